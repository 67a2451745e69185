// The command bar base window: selection, popups, tracking mode, keyboard
// and mouse handling, drawing and the idle command-UI update.
#include "XTPCommandBar.h"
#include "XTPCustomizeDragTracker.h"
#include "XTPCustomizeSheet.h"
#include "XTPCustomizeResource.h"
#include "XTPResourceManager.h"
#include "XTPCommandBarAnimation.h"
#include "XTPControls.h"
#include "XTPControl.h"
#include "XTPControlPopup.h"
#include "XTPControlAction.h"
#include "XTPCommandBars.h"
#include "XTPCommandBarsOptions.h"
#include "XTPPopupBar.h"
#include "XTPToolBar.h"
#include "XTPPaintManager.h"
#include "XTPImageManager.h"
#include "XTPToolTipContext.h"
#include "XTPDrawHelpers.h"
#include "XTPDCHelpers.h"

#include <afxpriv.h>

IMPLEMENT_DYNCREATE(CXTPCommandBar, CWnd)

LONG CXTPCommandBar::s_nInstanceCount = 0;

BEGIN_MESSAGE_MAP(CXTPCommandBar, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_MESSAGE(WM_PRINT, OnPrint)
    ON_MESSAGE(WM_PRINTCLIENT, OnPrint)
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSELEAVE()
    ON_WM_NCMOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_RBUTTONDOWN()
    ON_WM_SETCURSOR()
    ON_WM_RBUTTONUP()
    ON_WM_TIMER()
    ON_WM_NCHITTEST()
    ON_WM_NCLBUTTONDOWN()
    ON_WM_SYSCOLORCHANGE()
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_MESSAGE(WM_INITIALUPDATE, OnInitialUpdate)
    ON_MESSAGE(WM_GETOBJECT, OnGetObject)
    ON_MESSAGE(WM_HELPHITTEST, OnHelpHitTest)
END_MESSAGE_MAP()

CXTPCommandBar::CXTPCommandBar()
    : m_bHideCaret(TRUE)
    , m_nMRUWidth(32767)
    , m_nSelected(-1)
    , m_nPopuped(-1)
    , m_hwndFocus(NULL)
    , m_bCaretHidden(FALSE)
    , m_nBarID(0)
    , m_bVisible(TRUE)
    , m_bTracking(0)
    , m_dwIdleFlags(0)
    , m_dwFlags(0)
    , m_dwStyle(XTP_CBRS_GRIPPER)
    , m_barType(xtpBarTypeNormal)
    , m_pControls(NULL)
    , m_barPosition(xtpBarNone)
    , m_pCommandBars(NULL)
    , m_szIcons(0, 0)
    , m_szButtons(0, 0)
    , m_bTextBelow(2)
    , m_bGrabFocus(FALSE)
    , m_nKeyboardSelection(0)
    , m_bCustomizable(TRUE)
    , m_rcMarker(0, 0, 0, 0)
    , m_bVerticalMarker(FALSE)
    , m_bCustomizeDialogPresent(TRUE)
    , m_bEnteredByMouse(FALSE)
    , m_nLockRedraw(0)
    , m_bSelectOnHover(TRUE)
    , m_pPaintManager(NULL)
    , m_pImageManager(NULL)
    , m_pBlockingLink(NULL)
    , m_buttonStyle(xtpButtonAutomatic)
    , m_pToolTipContext(NULL)
    , m_pAnimation(NULL)
    , m_nLastStatusControl(-1)
    , m_pOwner(NULL)
    , m_bAnimationEnabled(FALSE)
    , m_bBitmapCache(FALSE)
    , m_bNoUpdate(FALSE)
{
    EnableAutomation();
    m_pControls = new CXTPControls();
    m_pControls->SetParent(this);
    m_pAnimation = new CXTPCommandBarAnimation(this);
    InterlockedIncrement(&s_nInstanceCount);
}

CXTPCommandBar::~CXTPCommandBar()
{
    if (m_bTracking)
        CXTPCommandBar::SetTrackingMode(FALSE, TRUE, FALSE);
    XTPKeyboardManager()->UnhookKeyboard(this);
    XTPHookManager()->RemoveHookAbleFromAll(this);
    CXTPMouseManager* pMouseManager = XTPMouseManager();
    pMouseManager->RemoveTracked(this);
    if (pMouseManager->GetSelectedCommandBar() == this)
        pMouseManager->SetSelectedCommandBar(NULL);

    if (m_pControls != NULL)
    {
        CXTPControls* pControls = m_pControls;
        m_pControls = NULL;
        pControls->RemoveAll();
        pControls->SetParent(NULL);
        pControls->InternalRelease();
    }
    if (m_pPaintManager != NULL)
        m_pPaintManager->InternalRelease();
    if (m_pImageManager != NULL)
        m_pImageManager->InternalRelease();
    if (m_pToolTipContext != NULL)
        m_pToolTipContext->InternalRelease();
    if (m_hWnd != NULL)
        ::DestroyWindow(m_hWnd);
    delete m_pAnimation;
    m_pAnimation = NULL;
    InterlockedDecrement(&s_nInstanceCount);
}

void CXTPCommandBar::OnFinalRelease()
{
    if (m_hWnd != NULL)
        DestroyWindow();
    delete this;
}

//////////////////////////////////////////////////////////////////////////
// Relations

CXTPCommandBars* CXTPCommandBar::GetCommandBars() const
{
    const CXTPCommandBar* pBar = this;
    for (int nGuard = 0; pBar != NULL && nGuard < 100; nGuard++)
    {
        if (pBar->m_pCommandBars != NULL)
            return pBar->m_pCommandBars;
        pBar = pBar->GetParentCommandBar();
    }
    return NULL;
}

CXTPCommandBar* CXTPCommandBar::GetRootParent() const
{
    const CXTPCommandBar* pBar = this;
    for (int nGuard = 0; nGuard < 100; nGuard++)
    {
        CXTPCommandBar* pParent = pBar->GetParentCommandBar();
        if (pParent == NULL)
            break;
        pBar = pParent;
    }
    return const_cast<CXTPCommandBar*>(pBar);
}

CXTPPaintManager* CXTPCommandBar::GetPaintManager()
{
    if (m_pPaintManager != NULL)
        return m_pPaintManager;
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars != NULL)
        return pCommandBars->GetPaintManager();
    CXTPCommandBar* pRoot = GetRootParent();
    if (pRoot != this && pRoot->m_pPaintManager != NULL)
        return pRoot->m_pPaintManager;
    return CXTPPaintManager::GetGlobalPaintManager();
}

CXTPImageManager* CXTPCommandBar::GetImageManager() const
{
    if (m_pImageManager != NULL)
        return m_pImageManager;
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars != NULL)
        return pCommandBars->GetImageManager();
    CXTPCommandBar* pRoot = GetRootParent();
    if (pRoot != this && pRoot->m_pImageManager != NULL)
        return pRoot->m_pImageManager;
    return XTPImageManager();
}

void CXTPCommandBar::SetPaintManager(CXTPPaintManager* pPaintManager)
{
    if (m_pPaintManager != NULL)
        m_pPaintManager->InternalRelease();
    m_pPaintManager = pPaintManager;
    if (m_pPaintManager != NULL)
        m_pPaintManager->RefreshMetrics();
}

void CXTPCommandBar::SetImageManager(CXTPImageManager* pImageManager)
{
    if (m_pImageManager != NULL)
        m_pImageManager->InternalRelease();
    m_pImageManager = pImageManager;
}

CWnd* CXTPCommandBar::GetSite()
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars != NULL && pCommandBars->GetSite() != NULL)
        return pCommandBars->GetSite();
    CXTPCommandBar* pRoot = GetRootParent();
    if (pRoot->m_hWnd != NULL)
    {
        HWND hWndParent = ::GetParent(pRoot->m_hWnd);
        if (hWndParent != NULL)
            return CWnd::FromHandle(hWndParent);
    }
    return AfxGetMainWnd();
}

CWnd* CXTPCommandBar::GetOwnerSite()
{
    CXTPCommandBar* pBar = this;
    for (int nGuard = 0; pBar != NULL && nGuard < 100; nGuard++)
    {
        if (pBar->m_pOwner != NULL)
            return pBar->m_pOwner;
        pBar = pBar->GetParentCommandBar();
    }
    return GetSite();
}

BOOL CXTPCommandBar::IsCustomizeMode()
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    return pCommandBars != NULL && pCommandBars->IsCustomizeMode();
}

BOOL CXTPCommandBar::IsSaveBitsEnabled()
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    return pCommandBars == NULL || pCommandBars->GetCommandBarsOptions()->bUseSystemSaveBitsStyle;
}

BOOL CXTPCommandBar::IsKeyboardCuesVisible() const
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    return pCommandBars == NULL || pCommandBars->IsKeyboardCuesVisible();
}

int CXTPCommandBar::GetKeyboardTipLevel() const
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars == NULL || pCommandBars->GetKeyboardTipsOwner() != this)
        return 0;
    return pCommandBars->GetKeyboardTipsLevel();
}

//////////////////////////////////////////////////////////////////////////
// Properties

void CXTPCommandBar::SetControls(CXTPControls* pControls)
{
    if (pControls == m_pControls)
        return;
    if (m_pControls != NULL)
    {
        m_pControls->SetParent(NULL);
        m_pControls->InternalRelease();
    }
    m_pControls = pControls;
    if (m_pControls != NULL)
    {
        m_pControls->InternalAddRef();
        m_pControls->SetParent(this);
    }
    OnControlsChanged();
}

CXTPControl* CXTPCommandBar::GetControl(int nIndex) const
{
    return m_pControls != NULL ? m_pControls->GetAt(nIndex) : NULL;
}

int CXTPCommandBar::GetControlCount() const
{
    return m_pControls != NULL ? m_pControls->GetCount() : 0;
}

void CXTPCommandBar::SetTitle(LPCTSTR lpszTitle)
{
    m_strTitle = lpszTitle;
    if (m_hWnd != NULL)
    {
        SetWindowText(lpszTitle);
        Redraw();
    }
}

void CXTPCommandBar::SetFlags(DWORD dwFlagsAdd, DWORD dwFlagsRemove)
{
    m_dwFlags = (m_dwFlags | dwFlagsAdd) & ~dwFlagsRemove;
}

void CXTPCommandBar::SetShowGripper(BOOL bShow)
{
    if (bShow)
        m_dwStyle |= XTP_CBRS_GRIPPER;
    else
        m_dwStyle &= ~XTP_CBRS_GRIPPER;
}

BOOL CXTPCommandBar::IsLayoutRTL() const
{
    return m_hWnd != NULL && (::GetWindowLong(m_hWnd, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0;
}

void CXTPCommandBar::SetCustomizable(BOOL bCustomizable)
{
    m_bCustomizable = bCustomizable;
}

CSize CXTPCommandBar::GetButtonSize() const
{
    if (m_szButtons.cx != 0 && m_szButtons.cy != 0)
        return m_szButtons;
    CSize szIcon = GetIconSize();
    return CSize(szIcon.cx + 6, szIcon.cy + 6);
}

CSize CXTPCommandBar::GetIconSize() const
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars == NULL)
        return m_szIcons.cx != 0 ? m_szIcons : CSize(16, 16);
    CXTPCommandBarsOptions* pOptions = pCommandBars->GetCommandBarsOptions();
    if (m_barType == xtpBarTypePopup)
        return m_szIcons.cx != 0 ? m_szIcons : pOptions->szPopupIcons;

    CSize sz = m_szIcons.cx != 0 ? m_szIcons : (pOptions->szIcons.cx != 0 ? pOptions->szIcons : CSize(16, 16));
    if (pOptions->bLargeIcons && m_szButtons.cx == 0)
    {
        if (pOptions->szLargeIcons.cx != 0)
            return pOptions->szLargeIcons;
        return CSize(sz.cx * 2, sz.cy * 2);
    }
    return sz;
}

CSize CXTPCommandBar::GetLargeIconSize() const
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars == NULL)
        return m_szIcons.cx != 0 ? CSize(m_szIcons.cx * 2, m_szIcons.cy * 2) : CSize(32, 32);
    CXTPCommandBarsOptions* pOptions = pCommandBars->GetCommandBarsOptions();
    CSize sz = m_szIcons.cx != 0 ? m_szIcons : (pOptions->szIcons.cx != 0 ? pOptions->szIcons : CSize(16, 16));
    if (m_szButtons.cx != 0)
        return sz;
    if (pOptions->szLargeIcons.cx != 0)
        return pOptions->szLargeIcons;
    return CSize(sz.cx * 2, sz.cy * 2);
}

BOOL CXTPCommandBar::GetShowTextBelowIcons() const
{
    if (m_bTextBelow != 2)
        return m_bTextBelow;
    CXTPCommandBars* pCommandBars = GetCommandBars();
    return pCommandBars != NULL ? pCommandBars->GetCommandBarsOptions()->bShowTextBelowIcons : FALSE;
}

void CXTPCommandBar::EnableAnimation(BOOL bEnable)
{
    m_bAnimationEnabled = bEnable;
    m_pAnimation->SetAnimationProperty(bEnable);
    Redraw();
}

void CXTPCommandBar::EnableBitmapCache(BOOL bEnable)
{
    m_bBitmapCache = bEnable;
    m_pAnimation->SetKeepBuffer(bEnable);
    Redraw();
}

//////////////////////////////////////////////////////////////////////////
// Selection, popups and tracking

BOOL CXTPCommandBar::SetSelected(int nSelected, BOOL bKeyboard)
{
    if (m_nSelected == nSelected)
        return FALSE;
    m_nKeyboardSelection = bKeyboard;
    if (m_hWnd == NULL)
        return FALSE;

    CXTPControl* pOld = GetControl(m_nSelected);
    if (pOld != NULL)
        pOld->OnSetSelected(0);

    m_nSelected = nSelected;
    CXTPControl* pControl = GetControl(nSelected);
    if (pControl != NULL)
    {
        if (bKeyboard)
            EnsureVisible(pControl);
        // The focus is reported on the control before the control takes the
        // selection: a control that moves the focus on to a part of its own
        // (a gallery to its first item) reports that after, and a reader
        // ends where the keyboard is.
        if (m_bTracking)
            NotifyWinEvent(EVENT_OBJECT_FOCUS, m_hWnd, OBJID_MENU, nSelected + 1);
        pControl->OnSetSelected(bKeyboard ? std::max((int)bKeyboard, 2) : 1);
        XTPMouseManager()->SetSelectedCommandBar(this);
        if (!bKeyboard && m_bSelectOnHover && m_hWnd != NULL)
            SetTimer(XTP_TID_HOVER, 300, NULL);
    }
    else
    {
        m_nSelected = -1;
        if (m_hWnd != NULL)
            KillTimer(XTP_TID_HOVER);
    }
    return TRUE;
}

BOOL CXTPCommandBar::SetPopuped(int nPopuped, BOOL bKeyboard)
{
    if (m_nPopuped == nPopuped)
        return FALSE;

    if (m_nPopuped != -1)
    {
        CXTPControl* pOld = GetControl(m_nPopuped);
        m_nPopuped = -1;
        if (pOld != NULL)
            pOld->OnSetPopup(FALSE);
    }
    if (nPopuped == -1)
        return TRUE;

    CXTPControl* pControl = GetControl(nPopuped);
    if (pControl == NULL || !pControl->GetEnabled())
        return FALSE;

    m_nPopuped = nPopuped;
    SetTrackingMode(2, FALSE, bKeyboard);
    SetSelected(nPopuped, bKeyboard);

    // The control stays alive while it opens its popup.
    pControl->InternalAddRef();
    BOOL bOpened = pControl->OnSetPopup(TRUE);
    pControl->InternalRelease();
    if (!bOpened)
    {
        if (m_nPopuped == nPopuped)
            m_nPopuped = -1;
        return FALSE;
    }
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars != NULL && pCommandBars->GetCommandBarsOptions()->bShowFullAfterDelay && m_hWnd != NULL)
        SetTimer(XTP_TID_EXPANDED_POPUP, 5000, NULL);
    return TRUE;
}

BOOL CXTPCommandBar::SelectFirstEnabled()
{
    int nIndex = m_pControls->GetNext(-1, +1);
    int nFirst = nIndex;
    while (nIndex != -1)
    {
        CXTPControl* pControl = GetControl(nIndex);
        if (pControl != NULL && pControl->GetEnabled())
            break;
        nIndex = m_pControls->GetNext(nIndex, +1);
        if (nIndex == nFirst)
            return FALSE;
    }
    if (nIndex == -1)
        return FALSE;
    SetSelected(nIndex, 2);
    return TRUE;
}

BOOL CXTPCommandBar::SetTrackingMode(int bMode, BOOL bSelectFirst, BOOL bKeyboard)
{
    if ((m_bTracking != 0) == (bMode != 0))
    {
        m_bTracking = bMode;
        return FALSE;
    }

    CXTPCommandBars* pCommandBars = GetCommandBars();
    CXTPMouseManager* pMouseManager = XTPMouseManager();
    if (bMode)
    {
        m_bTracking = bMode;
        if (m_barType == xtpBarTypeMenuBar)
        {
            CWnd* pSite = GetSite();
            if (pSite != NULL && pSite->GetSafeHwnd() != NULL)
                pSite->SendMessage(WM_XTP_INITMENU, (WPARAM)this);
        }
        m_bEnteredByMouse = !bSelectFirst && !bKeyboard;
        m_nKeyboardSelection = bKeyboard;
        // An edit box of the bar that took the keyboard has already recorded
        // the window that had it before the click: that record is where the
        // keyboard goes back to, and the box's own caret stays shown.
        if (m_bHideCaret && m_hwndFocus == NULL)
        {
            HWND hWndFocus = ::GetFocus();
            if (hWndFocus == NULL && GetSite() != NULL)
                hWndFocus = GetSite()->GetSafeHwnd();
            m_hwndFocus = hWndFocus;
            m_bCaretHidden = hWndFocus != NULL && ::HideCaret(hWndFocus);
        }
        pMouseManager->AddTracked(this);
        XTPKeyboardManager()->HookKeyboard(this);
        ::SetCursor(CXTPDrawHelpers::GetArrowCursor());
        if (bSelectFirst)
            SelectFirstEnabled();
    }
    else
    {
        m_bTracking = 0;
        m_bEnteredByMouse = FALSE;
        m_nKeyboardSelection = 0;
        pMouseManager->RemoveTracked(this);
        XTPKeyboardManager()->UnhookKeyboard(this);
        SetPopuped(-1);
        if (bSelectFirst)
            SetSelected(-1);
        // A menu that holds the keyboard (an edit box in it gave it to the
        // menu) hands it back to the window that had it when the menu opened.
        if (IsPopupBar() && m_hWnd != NULL && ::GetFocus() == m_hWnd && m_hwndFocus != NULL &&
            m_hwndFocus != m_hWnd && ::IsWindow(m_hwndFocus))
            ::SetFocus(m_hwndFocus);
        if (m_hwndFocus != NULL)
        {
            if (m_bCaretHidden && ::IsWindow(m_hwndFocus))
                ::ShowCaret(m_hwndFocus);
            m_hwndFocus = NULL;
        }
        m_bCaretHidden = FALSE;
        Redraw();
        if (pMouseManager->GetTrackArray().GetSize() == 0)
            pMouseManager->SetForceExpanded(FALSE);
        if (m_hWnd != NULL && ::GetFocus() == m_hWnd && ::GetParent(m_hWnd) != NULL)
        {
            HWND hWndNext = ::GetNextDlgTabItem(::GetParent(m_hWnd), m_hWnd, FALSE);
            if (hWndNext != NULL && hWndNext != m_hWnd)
                ::SetFocus(hWndNext);
        }
        m_nLockTracking = 0;
    }
    if (pCommandBars != NULL)
        pCommandBars->OnTrackingModeChanged(this, bMode);
    return TRUE;
}

void CXTPCommandBar::OnControlSelected(BOOL bSelected, CXTPControl* pControl)
{
    CWnd* pSite = GetSite();
    if (pSite != NULL && pSite->GetSafeHwnd() != NULL)
        pSite->SendMessage(WM_XTP_CONTROLSELECTED, bSelected ? (WPARAM)pControl : 0);

    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars != NULL)
    {
        UINT nHelpId = 0;
        if (bSelected && pControl != NULL)
        {
            nHelpId = (UINT)pControl->GetHelpId();
            if (nHelpId == 0 && pControl->GetAction() != NULL)
                nHelpId = (UINT)pControl->GetAction()->GetHelpId();
            if (nHelpId == 0)
                nHelpId = (UINT)pControl->GetID();
        }
        pCommandBars->SetHelpTrackingId(nHelpId);
    }

    if (bSelected && pControl != NULL)
    {
        if (pControl->GetIndex() != m_nLastStatusControl)
        {
            m_nLastStatusControl = pControl->GetIndex();
            SetStatusText(pControl->GetDescription());
        }
    }
    else if (m_nLastStatusControl != -1)
    {
        m_nLastStatusControl = -1;
        SetStatusText(CString());
    }
}

void CXTPCommandBar::SetStatusText(const CString& strDescription)
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars != NULL && !pCommandBars->GetCommandBarsOptions()->bShowControlDescriptions)
        return;
    CWnd* pTarget = pCommandBars != NULL && pCommandBars->GetSite() != NULL ? pCommandBars->GetSite() : GetSite();
    if (pTarget == NULL || pTarget->GetSafeHwnd() == NULL)
        return;
    if (strDescription.IsEmpty())
        pTarget->SendMessage(WM_POPMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
    else
        pTarget->SendMessage(WM_SETMESSAGESTRING, 0, (LPARAM)(LPCTSTR)strDescription);
}

void CXTPCommandBar::OnControlsChanged()
{
    DelayLayout();
    m_nSelected = -1;
    m_nPopuped = -1;
}

BOOL CXTPCommandBar::LoadMenu(CMenu* pMenu, BOOL bRemoveControls)
{
    if (pMenu == NULL || pMenu->GetSafeHmenu() == NULL)
        return FALSE;
    if (bRemoveControls)
        m_pControls->RemoveAll();
    return m_pControls->LoadMenu(pMenu);
}

BOOL CXTPCommandBar::LoadToolBar(UINT nIDResource, BOOL bLoadIcons)
{
    m_pControls->RemoveAll();

    // The resource: version, bitmap width, height, item count, then the
    // item ids as 16-bit words (0 begins a group).
    HINSTANCE hInst = AfxFindResourceHandle(MAKEINTRESOURCE(nIDResource), RT_TOOLBAR);
    HRSRC hRsrc = hInst != NULL ? ::FindResource(hInst, MAKEINTRESOURCE(nIDResource), RT_TOOLBAR) : NULL;
    if (hRsrc == NULL)
        return FALSE;
    HGLOBAL hGlobal = ::LoadResource(hInst, hRsrc);
    const WORD* pData = hGlobal != NULL ? (const WORD*)::LockResource(hGlobal) : NULL;
    DWORD dwSize = ::SizeofResource(hInst, hRsrc);
    if (pData == NULL || dwSize < 4 * sizeof(WORD))
        return FALSE;
    int nWidth = pData[1];
    int nHeight = pData[2];
    int nCount = pData[3];
    if ((DWORD)(4 + nCount) * sizeof(WORD) > dwSize)
    {
        TRACE("CXTPCommandBar::LoadToolBar: toolbar resource %u is shorter than its item count\n", nIDResource);
        return FALSE;
    }

    CWnd* pSite = GetSite();
    BOOL bSite = pSite != NULL && pSite->GetSafeHwnd() != NULL;
    CArray<UINT, UINT> arrIds;
    BOOL bBeginGroup = FALSE;
    for (int i = 0; i < nCount; i++)
    {
        UINT nId = pData[4 + i];
        if (nId == 0)
        {
            bBeginGroup = TRUE;
            continue;
        }
        XTP_COMMANDBARS_CREATECONTROL cs;
        cs.nID = (int)nId;
        cs.pControl = NULL;
        cs.bToolBar = TRUE;
        cs.nIndex = i;
        cs.pMenu = NULL;
        cs.pCommandBar = this;
        cs.strCaption = m_strTitle;
        cs.controlType = xtpControlButton;
        cs.buttonStyle = xtpButtonAutomatic;

        CXTPControl* pControl = NULL;
        if (bSite && pSite->SendMessage(WM_XTP_BEFORECREATECONTROL, 0, (LPARAM)&cs) != 0 && cs.pControl != NULL)
            pControl = m_pControls->Add(cs.pControl, (int)nId);
        else
            pControl = m_pControls->Add(cs.controlType, (int)nId);
        if (pControl == NULL)
            continue;
        if (cs.buttonStyle != pControl->GetStyle() && cs.buttonStyle != xtpButtonAutomatic)
            pControl->SetStyle(cs.buttonStyle);
        if (cs.controlType == xtpControlPopup)
            pControl->SetIconId((int)nId);
        if (bBeginGroup)
        {
            pControl->SetBeginGroup(TRUE);
            bBeginGroup = FALSE;
        }
        arrIds.Add(nId);
        cs.pControl = pControl;
        if (bSite)
            pSite->SendMessage(WM_XTP_AFTERCREATECONTROL, 0, (LPARAM)&cs);
    }

    BOOL bResult = TRUE;
    if (bLoadIcons && arrIds.GetSize() > 0)
    {
        CXTPImageManager* pImageManager = GetImageManager();
        if (!pImageManager->SetIcons(nIDResource, arrIds.GetData(), (int)arrIds.GetSize(), CSize(nWidth, nHeight)))
        {
            TRACE("CXTPCommandBar::LoadToolBar: the images of toolbar %u could not be loaded\n", nIDResource);
            bResult = FALSE;
        }
    }
    if (nWidth != 16)
        m_szIcons = CSize(nWidth, nHeight);
    return bResult;
}

//////////////////////////////////////////////////////////////////////////
// Keyboard

namespace
{
// Whether a caption marks its access letter with a single '&'.
BOOL HasMarkedAccel(const CString& strCaption)
{
    return AfxFindAccessKey(strCaption) != -1;
}
} // namespace

int CXTPCommandBar::FindAccel(TCHAR chAccel, BOOL& bAmbiguous) const
{
    bAmbiguous = FALSE;
    int nCount = GetControlCount();
    if (nCount == 0)
        return -1;

    TCHAR chUpper = (TCHAR)(UINT_PTR)::CharUpper((LPTSTR)(UINT_PTR)(BYTE)chAccel);
    int nAmpersand = -1;
    int nPlain = -1;
    BOOL bPlainAmbiguous = FALSE;
    int nStart = m_nSelected;
    for (int k = 1; k <= nCount; k++)
    {
        int i = ((nStart + k) % nCount + nCount) % nCount;
        CXTPControl* pControl = GetControl(i);
        if (pControl == NULL || !pControl->IsVisible() || !pControl->GetEnabled())
            continue;
        CString strCaption = pControl->GetCaption();
        if (strCaption.IsEmpty())
            continue;

        int nKey = AfxFindAccessKey(strCaption);
        BOOL bMarked = nKey != -1;
        TCHAR ch = bMarked ? strCaption[nKey] : strCaption[0];
        if ((TCHAR)(UINT_PTR)::CharUpper((LPTSTR)(UINT_PTR)(BYTE)ch) != chUpper)
            continue;

        if (bMarked)
        {
            if (nAmpersand == -1)
            {
                nAmpersand = i;
            }
            else
            {
                bAmbiguous = TRUE;
                return nAmpersand;
            }
        }
        else if (nPlain == -1)
        {
            nPlain = i;
        }
        else
        {
            bPlainAmbiguous = TRUE;
        }
    }
    if (nAmpersand != -1)
        return nAmpersand;
    bAmbiguous = bPlainAmbiguous;
    return nPlain;
}

int CXTPCommandBar::OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT&)
{
    // Keys come from the keyboard manager, which names no window; messages
    // of hooked windows are the business of derived bars.
    if (hWnd != NULL)
        return hookContinue;
    if (nMessage == WM_KEYDOWN)
        return OnHookKeyDown((UINT)wParam, lParam);
    if (nMessage == WM_MOUSEWHEEL)
    {
        CXTPControl* pSelected = GetSelectedControl();
        if (pSelected != NULL && pSelected->TakesBarKeys())
        {
            pSelected->OnHookMouseWheel(LOWORD(wParam), (short)HIWORD(wParam),
                                        CPoint((short)LOWORD(lParam), (short)HIWORD(lParam)));
            return hookHandled;
        }
    }
    return hookContinue;
}

namespace
{
BOOL IsSiteInHelpMode(CWnd* pSite);
} // namespace

int CXTPCommandBar::OnHookKeyDown(UINT nChar, LPARAM lParam)
{
    // Customisation and context help run the keys themselves.
    if (IsCustomizeMode() || IsSiteInHelpMode(GetSite()))
        return hookStop;
    if (m_nLockTracking > 0)
        return hookHandled;
    // F1 goes on to the frame's keys, which ask for the help of the
    // selected control (the command bars keep its help id).
    if (nChar == VK_F1)
        return hookStop;

    CWnd* pSite = GetSite();
    if (pSite != NULL && pSite->GetSafeHwnd() != NULL)
        pSite->SendMessage(WM_XTP_TRACKINGKEYDOWN, (WPARAM)&nChar, (LPARAM)this);

    CXTPControl* pSelected = GetSelectedControl();
    if (pSelected != NULL && pSelected->TakesBarKeys())
    {
        int nAnswer = pSelected->OnHookKeyDown(nChar, lParam);
        if (nAnswer == hookHandled || nAnswer == hookStop)
            return nAnswer;
    }
    if (m_hWnd == NULL)
        return hookHandled;

    BOOL bShift = ::GetKeyState(VK_SHIFT) < 0;
    BOOL bCtrl = ::GetKeyState(VK_CONTROL) < 0;
    CXTPCommandBars* pCommandBars = GetCommandBars();

    switch (nChar)
    {
    case VK_TAB:
    {
        CXTPCommandBar* pRoot = GetRootParent();
        if (bCtrl && pCommandBars != NULL && pRoot->IsKindOf(RUNTIME_CLASS(CXTPToolBar)) &&
            pCommandBars->SetNextTrackingBar(pRoot, bShift))
            return hookHandled;
        ProcessSpecialKey(bShift ? xtpKeyPrev : xtpKeyNext);
        CXTPControl* pControl = GetSelectedControl();
        if (pControl != NULL && pControl->HasWindow())
            pControl->SetFocused(TRUE);
        return hookHandled;
    }
    case VK_RETURN:
        ProcessSpecialKey(xtpKeyReturn);
        return hookHandled;
    case VK_ESCAPE:
        ProcessSpecialKey(xtpKeyEscape);
        return hookHandled;
    case VK_SPACE:
        if (m_barType == xtpBarTypeMenuBar)
        {
            if (pCommandBars != NULL)
                pCommandBars->ClosePopups();
            else
                XTPMouseManager()->CloseAllTracked();
            if (pSite != NULL && pSite->GetSafeHwnd() != NULL)
                pSite->PostMessage(WM_SYSCOMMAND, SC_KEYMENU, (LPARAM)' ');
            return hookHandled;
        }
        break;
    default:
        break;
    }

    HWND hWndFocus = ::GetFocus();
    if (hWndFocus != NULL && ::IsChild(m_hWnd, hWndFocus))
        return hookStop;

    BOOL bHorizontal = m_barPosition == xtpBarTop || m_barPosition == xtpBarBottom ||
                       m_barPosition == xtpBarFloating ||
                       (m_barPosition == xtpBarPopup && m_barType == xtpBarTypeNormal);
    BOOL bRTL = IsLayoutRTL();
    int nKey = -1;
    switch (nChar)
    {
    case VK_END:
        nKey = xtpKeyEnd;
        break;
    case VK_HOME:
        nKey = xtpKeyHome;
        break;
    case VK_UP:
        nKey = bHorizontal ? xtpKeyBack : xtpKeyPrev;
        break;
    case VK_DOWN:
        nKey = bHorizontal ? xtpKeyPopup : xtpKeyNext;
        break;
    case VK_LEFT:
        nKey = bHorizontal ? (bRTL ? xtpKeyNext : xtpKeyPrev) : (bRTL ? xtpKeyPopup : xtpKeyBack);
        break;
    case VK_RIGHT:
        nKey = bHorizontal ? (bRTL ? xtpKeyPrev : xtpKeyNext) : (bRTL ? xtpKeyBack : xtpKeyPopup);
        break;
    default:
        break;
    }
    if (nKey != -1)
    {
        // A key this bar cannot use goes on to the bar that opened it, so
        // Left and Right in a menu move between the menu-bar titles.
        return ProcessSpecialKey((XTPSpecialKey)nKey) ? hookHandled : hookContinue;
    }

    TCHAR ch = (TCHAR)::MapVirtualKey(nChar, 2);
    if (ch != 0)
    {
        // While keyboard tips show, letters choose among them.
        if (pCommandBars != NULL && pCommandBars->OnKeyboardTipChar(this, nChar))
            return hookHandled;
        // A ribbon names what a letter runs by key tips. With none shown a
        // letter does what it does with Alt held: it takes a tab by its
        // access key or a control by the letter its caption marks; it never
        // runs a control by the first letter of its caption, nor one of
        // another bar.
        BOOL bRibbon = m_barType == xtpBarTypeRibbon;
        if (bRibbon && !bCtrl && PreviewSysKey(nChar))
            return hookHandled;
        if (m_barType != xtpBarTypePopup && !bRibbon && pCommandBars != NULL && !bCtrl &&
            pCommandBars->OnToolBarAccel(this, ch))
            return hookHandled;
        if (!bCtrl)
        {
            BOOL bAmbiguous = FALSE;
            int nIndex = FindAccel(ch, bAmbiguous);
            if (nIndex != -1 && bRibbon && !HasMarkedAccel(GetControl(nIndex)->GetCaption()))
                nIndex = -1;
            if (nIndex != -1)
            {
                SetSelected(nIndex, 2);
                CXTPControl* pControl = GetControl(nIndex);
                if (!bAmbiguous && pControl != NULL)
                {
                    pControl->InternalAddRef();
                    pControl->ExecuteFromKeyboard();
                    pControl->InternalRelease();
                }
                return hookHandled;
            }
        }
        if (nChar != VK_SHIFT && nChar != VK_CONTROL)
            ::MessageBeep(0);
    }
    return hookHandled;
}

BOOL CXTPCommandBar::ProcessSpecialKey(XTPSpecialKey key)
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if ((key == xtpKeyNext || key == xtpKeyPrev) && pCommandBars != NULL)
        pCommandBars->HideKeyboardTips();

    CXTPControl* pSelected = GetSelectedControl();
    BOOL bPopupToolBar = m_barPosition == xtpBarPopup && m_barType == xtpBarTypeNormal;
    if (bPopupToolBar && pSelected != NULL && pSelected->GetPopuped())
    {
        if (key == xtpKeyNext)
            return FALSE;
        if (key == xtpKeyPrev)
            key = xtpKeyBack;
    }
    BOOL bSelectedPopup = pSelected != NULL && pSelected->GetCommandBar() != NULL && pSelected->GetEnabled();
    if (key == xtpKeyBack && m_nPopuped == -1 && (bPopupToolBar || GetParentCommandBar() == NULL) && bSelectedPopup)
        key = xtpKeyPopup;

    if ((key == xtpKeyBack || key == xtpKeyPopup) && (m_barPosition == xtpBarFloating || bPopupToolBar) &&
        m_nPopuped == -1)
    {
        int nDirection = key == xtpKeyPopup ? +1 : -1;
        if (pSelected == NULL)
        {
            SetSelected(m_pControls->GetNext(-1, nDirection), 2);
            return TRUE;
        }
        if (!bSelectedPopup)
        {
            // The nearest control of the next row in that direction.
            CRect rcSelected = pSelected->GetRowRect();
            int nCandidate = -1;
            int nIndex = m_nSelected;
            CRect rcCandidateRow(0, 0, 0, 0);
            for (int nGuard = 0; nGuard < GetControlCount(); nGuard++)
            {
                nIndex = m_pControls->GetNext(nIndex, nDirection);
                if (nIndex == -1 || nIndex == m_nSelected)
                    break;
                CXTPControl* pControl = GetControl(nIndex);
                CRect rcRow = pControl->GetRowRect();
                if (rcRow.IsRectEmpty() || rcRow.top == rcSelected.top)
                    continue;
                if (nCandidate == -1)
                {
                    nCandidate = nIndex;
                    rcCandidateRow = rcRow;
                    continue;
                }
                if (rcRow.top != rcCandidateRow.top)
                    break;
                int nOld = abs(GetControl(nCandidate)->GetRect().left - pSelected->GetRect().left);
                int nNew = abs(pControl->GetRect().left - pSelected->GetRect().left);
                if (nNew < nOld)
                    nCandidate = nIndex;
            }
            if (nCandidate != -1)
                SetSelected(nCandidate, 2);
            return TRUE;
        }
    }

    switch (key)
    {
    case xtpKeyNext:
        SetSelected(m_pControls->GetNext(m_nSelected, +1), 2);
        return TRUE;
    case xtpKeyPrev:
        SetSelected(m_pControls->GetNext(m_nSelected, -1), 3);
        return TRUE;
    case xtpKeyBack:
        if (m_nPopuped == -1)
            return FALSE;
        SetPopuped(-1);
        SetTrackingMode(1, FALSE, TRUE);
        return TRUE;
    case xtpKeyPopup:
        if (pSelected == NULL || pSelected->GetCommandBar() == NULL)
            return FALSE;
        // With the selected control's popup already open the key comes from
        // that popup, which could not use it (Right on a plain item of a
        // submenu): it goes on to the menu bar, which moves to its next menu.
        if (pSelected->GetPopuped())
            return FALSE;
        SetSelected(m_nSelected, 2);
        SetPopuped(m_nSelected, TRUE);
        return TRUE;
    case xtpKeyEscape:
    {
        int nLevel = GetKeyboardTipLevel();
        if (nLevel > 1 && pCommandBars != NULL)
        {
            pCommandBars->ShowKeyboardTips(this, nLevel - 1);
            return TRUE;
        }
        // Keyboard mode steps back one level: a popup a key tip opened gives
        // the bar that opened it its tips back.
        CXTPPopupBar* pPopupBar = DYNAMIC_DOWNCAST(CXTPPopupBar, this);
        int nLevelBack = pPopupBar != NULL ? pPopupBar->m_nTipsLevelBack : 0;
        CXTPCommandBar* pParent = GetParentCommandBar();
        if (pParent != NULL)
            pParent->SetTrackingMode(1, FALSE, TRUE);
        SetTrackingMode(FALSE, TRUE, FALSE);
        if (pParent != NULL && nLevelBack > 0 && pCommandBars != NULL && pParent->IsTrackingMode())
            pCommandBars->ShowKeyboardTips(pParent, nLevelBack);
        return TRUE;
    }
    case xtpKeyReturn:
        if (pSelected != NULL)
        {
            SetSelected(m_nSelected, 2);
            pSelected->InternalAddRef();
            pSelected->OnKeyboardClick();
            pSelected->InternalRelease();
        }
        return TRUE;
    case xtpKeyHome:
        SetSelected(m_pControls->GetNext(-1, +1), 2);
        return TRUE;
    case xtpKeyEnd:
        SetSelected(m_pControls->GetNext(-1, -1), 3);
        return TRUE;
    }
    return FALSE;
}

//////////////////////////////////////////////////////////////////////////
// Mouse

int CXTPCommandBar::HitTestTrackedPoint(CPoint ptScreen)
{
    if (m_hWnd == NULL || !::IsWindowVisible(m_hWnd))
        return 0;
    return IsPointInBar(ptScreen) ? 1 : 0;
}

BOOL CXTPCommandBar::IsPointInBar(CPoint ptScreen) const
{
    if (m_hWnd == NULL)
        return FALSE;
    CRect rcWindow;
    ::GetWindowRect(m_hWnd, &rcWindow);
    return rcWindow.PtInRect(ptScreen);
}

void CXTPCommandBar::OnMouseMove(UINT nFlags, CPoint point)
{
    (void)nFlags;
    CXTPMouseManager* pMouseManager = XTPMouseManager();
    BOOL bActive = m_bTracking || IsPopupBar() || CXTPDrawHelpers::IsTopParentActive(m_hWnd);
    if (!bActive || pMouseManager->IsMouseLocked(this))
        return;
    if (pMouseManager->GetLockCount() > 0 && m_pBlockingLink == NULL)
        return;
    if (IsCustomizeMode())
    {
        // Controls are not hot while customising; the drag tracker follows
        // the mouse instead.
        CXTPCommandBars* pCommandBars = GetCommandBars();
        if (pCommandBars != NULL && pCommandBars->GetDragTracker() != NULL)
            pCommandBars->GetDragTracker()->OnBarMouseMove(this, point);
        return;
    }
    if (m_nPopuped != -1 && !m_bSelectOnHover)
        return;

    CXTPControl* pControl = m_pControls->HitTest(point);
    int nSelected;
    if (pControl != NULL)
    {
        pControl->OnMouseMove(point);
        pMouseManager->TrackMouseLeave(m_hWnd);
        nSelected = pControl->GetIndex();
    }
    else if ((m_bTracking && !IsPopupBar()) || m_nPopuped != -1 || m_nKeyboardSelection != 0)
    {
        nSelected = m_nSelected;
    }
    else
    {
        nSelected = -1;
    }
    if (nSelected != m_nSelected)
        SetSelected(nSelected, FALSE);
}

void CXTPCommandBar::OnMouseLeave()
{
    CXTPMouseManager* pMouseManager = XTPMouseManager();
    if (pMouseManager->GetLockCount() > 0 && m_pBlockingLink == NULL)
        return;
    if (m_bTracking && !(IsPopupBar() && m_nPopuped == -1))
        return;
    if (m_nLockTracking > 0)
        return;
    SetSelected(-1);
}

void CXTPCommandBar::OnNcMouseMove(UINT nHitTest, CPoint point)
{
    OnMouseLeave();
    CWnd::OnNcMouseMove(nHitTest, point);
}

void CXTPCommandBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    CXTPControl* pControl = m_pControls->HitTest(point);
    if (pControl == NULL)
    {
        CWnd::OnLButtonDown(nFlags, point);
        return;
    }

    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (::GetKeyState(VK_MENU) < 0 && IsKindOf(RUNTIME_CLASS(CXTPToolBar)) && !IsCustomizeMode() &&
        pControl->IsCustomizeMovable() && pCommandBars != NULL && pCommandBars->IsCustomizable() &&
        pCommandBars->GetCommandBarsOptions()->bAltDragCustomization)
    {
        // Alt-drag: a customise drag of this one control.
        pCommandBars->SetQuickCustomizeMode(TRUE);
        SetPopuped(-1);
        SetSelected(-1);
        pControl->OnCustomizeClick(point);
        pCommandBars->SetQuickCustomizeMode(FALSE);
        return;
    }
    if (IsCustomizeMode() && !pControl->IsCustomizeMovable())
        return;
    if (IsCustomizeMode() && IsCustomizeCopyOnly(pControl))
    {
        // A control the bar only lets be copied is not opened or edited in
        // place either (those changes would not be kept): the press starts
        // its customise drag at once, on whatever part of it.
        SetPopuped(-1);
        SetSelected(-1);
        pControl->InternalAddRef();
        pControl->OnCustomizeClick(point);
        pControl->InternalRelease();
        return;
    }

    pControl->InternalAddRef();
    pControl->OnClick(FALSE, point);
    pControl->InternalRelease();
}

void CXTPCommandBar::OnLButtonUp(UINT nFlags, CPoint point)
{
    CXTPControl* pControl = m_pControls->HitTest(point);
    if (pControl == NULL)
    {
        CWnd::OnLButtonUp(nFlags, point);
        return;
    }
    pControl->InternalAddRef();
    pControl->OnLButtonUp(point);
    pControl->InternalRelease();
}

void CXTPCommandBar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    CXTPControl* pControl = m_pControls->HitTest(point);
    if (pControl == NULL || IsCustomizeMode())
    {
        CWnd::OnLButtonDblClk(nFlags, point);
        return;
    }
    pControl->InternalAddRef();
    pControl->OnLButtonDblClk(point);
    pControl->InternalRelease();
}

void CXTPCommandBar::OnRButtonDown(UINT nFlags, CPoint point)
{
    CXTPControl* pControl = m_pControls->HitTest(point);
    if (pControl != NULL && pControl->OnRButtonDown(point))
        return;
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (IsCustomizeMode() && IsCustomizable() && pControl != NULL && pControl->IsCustomizeMovable() &&
        pCommandBars != NULL)
    {
        // The control becomes the customise selection and the Customize
        // sheet's context menu opens for it.
        pCommandBars->SetDragControl(pControl);
        CXTPCustomizeSheet* pSheet = pCommandBars->GetCustomizeSheet();
        if (pSheet != NULL)
        {
            CPoint ptScreen = point;
            ClientToScreen(&ptScreen);
            pSheet->ContextMenu(ptScreen);
        }
        return;
    }
    CWnd::OnRButtonDown(nFlags, point);
}

BOOL CXTPCommandBar::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (nHitTest == HTCLIENT && IsCustomizeMode() && pCommandBars != NULL)
    {
        // The selected control's edges resize it (OnCustomizeResize), so
        // the cursor says so there.
        CXTPControl* pDrag = pCommandBars->GetDragControl();
        CPoint pt;
        ::GetCursorPos(&pt);
        ScreenToClient(&pt);
        if (pDrag != NULL && pDrag->GetParent() == this && pDrag->IsCustomizeResizeAllowed() &&
            pDrag->GetRect().PtInRect(pt) &&
            (abs(pt.x - pDrag->GetRect().left) <= 2 || abs(pt.x - pDrag->GetRect().right) <= 2))
        {
            HCURSOR hCursor = XTPResourceManager()->LoadCursor(XTP_IDC_COMMANDBARS_RESIZE);
            if (hCursor != NULL)
            {
                ::SetCursor(hCursor);
                return TRUE;
            }
        }
    }
    return CWnd::OnSetCursor(pWnd, nHitTest, message);
}

void CXTPCommandBar::OnRButtonUp(UINT nFlags, CPoint point)
{
    CXTPControl* pControl = m_pControls->HitTest(point);
    CWnd* pSite = GetSite();
    if (pControl != NULL && pSite != NULL && pSite->GetSafeHwnd() != NULL &&
        pSite->SendMessage(WM_XTP_CONTROLRBUTTONUP, (WPARAM)&point, (LPARAM)pControl) == 1)
        return;
    if (pControl == NULL)
    {
        CWnd::OnRButtonUp(nFlags, point);
        return;
    }
    pControl->InternalAddRef();
    if (GetRootParent()->m_bGrabFocus)
        pControl->OnLButtonUp(point);
    else
        pControl->OnRButtonUp(nFlags, point);
    pControl->InternalRelease();
}

namespace
{
// TRUE while the frame of the bar's site runs the class library's context
// help mode (Shift+F1).
BOOL IsSiteInHelpMode(CWnd* pSite)
{
    if (pSite == NULL || pSite->GetSafeHwnd() == NULL)
        return FALSE;
    CFrameWnd* pFrame = pSite->GetTopLevelFrame();
    return pFrame != NULL && pFrame->m_bHelpMode;
}
} // namespace

LRESULT CXTPCommandBar::OnNcHitTest(CPoint point)
{
    // In help mode a popup control without a command of its own opens its
    // menu (HTMENU), so that help for one of its commands can be chosen;
    // anything else is asked for its help id (HTCLIENT).
    if (m_hWnd != NULL && IsSiteInHelpMode(GetSite()))
    {
        CPoint ptClient = point;
        ScreenToClient(&ptClient);
        CXTPControl* pControl = m_pControls != NULL ? m_pControls->HitTest(ptClient) : NULL;
        if (pControl != NULL && pControl->GetID() == 0 &&
            (pControl->GetType() == xtpControlPopup || pControl->GetType() == xtpControlButtonPopup ||
             pControl->GetType() == xtpControlSplitButtonPopup))
            return HTMENU;
        return HTCLIENT;
    }
    return CWnd::OnNcHitTest(point);
}

void CXTPCommandBar::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    // Help mode hands the press of a menu on here: a left click at the point.
    if (m_hWnd != NULL && IsSiteInHelpMode(GetSite()))
    {
        CPoint ptClient = point;
        ScreenToClient(&ptClient);
        OnLButtonDown(MK_LBUTTON, ptClient);
        return;
    }
    CWnd::OnNcLButtonDown(nHitTest, point);
}

void CXTPCommandBar::OnTimer(UINT_PTR nIDEvent)
{
    switch (nIDEvent)
    {
    case XTP_TID_HOVER:
        if (m_nLockTracking > 0 || XTPMouseManager()->IsMouseLocked(this))
            return;
        KillTimer(XTP_TID_HOVER);
        if (CXTPControl* pSelected = GetSelectedControl())
        {
            pSelected->InternalAddRef();
            pSelected->OnMouseHover();
            pSelected->InternalRelease();
        }
        return;

    case XTP_TID_EXPANDED_POPUP:
    {
        if (m_nLockTracking > 0)
            return;
        KillTimer(XTP_TID_EXPANDED_POPUP);
        CXTPControlPopup* pPopup = DYNAMIC_DOWNCAST(CXTPControlPopup, GetControl(m_nPopuped));
        if (pPopup != NULL && m_nPopuped == m_nSelected)
        {
            CXTPPopupBar* pPopupBar = DYNAMIC_DOWNCAST(CXTPPopupBar, pPopup->GetCommandBar());
            if (pPopupBar != NULL && pPopupBar->HasHiddenCommands())
                pPopupBar->ExpandBar();
        }
        return;
    }

    case XTP_TID_SHOWKEYBOARDTIPS:
    {
        KillTimer(XTP_TID_SHOWKEYBOARDTIPS);
        CXTPCommandBars* pCommandBars = GetCommandBars();
        const CXTPMouseManager::CTrackArray& arr = XTPMouseManager()->GetTrackArray();
        if (pCommandBars != NULL && arr.GetSize() > 0 && arr[arr.GetSize() - 1] == this &&
            pCommandBars->GetKeyboardTipsOwner() != this)
            pCommandBars->ShowKeyboardTips(this, 1);
        return;
    }

    case XTP_TID_EXECUTEONPRESS:
        return;

    case XTP_TID_ANIMATION:
        m_pAnimation->OnTimer();
        return;

    default:
        CWnd::OnTimer(nIDEvent);
    }
}

//////////////////////////////////////////////////////////////////////////
// Drawing

void CXTPCommandBar::FillBackground(CDC* pDC)
{
    GetPaintManager()->FillCommandBar(pDC, this);
}

void CXTPCommandBar::DrawCommandBar(CDC* pDC, CRect rcClipBox)
{
    if (pDC == NULL)
        return;
    CXTPPaintManager* pPaintManager = GetPaintManager();
    FillBackground(pDC);
    if (GetShowGripper() || m_barPosition == xtpBarFloating)
        pPaintManager->DrawCommandBarGripper(pDC, this, TRUE);
    pDC->SetBkMode(TRANSPARENT);

    BOOL bFirst = TRUE;
    for (int i = 0; i < GetControlCount(); i++)
    {
        CXTPControl* pControl = GetControl(i);
        if (pControl->GetParent() != this || !pControl->IsVisible())
            continue;
        if (pControl->GetBeginGroup() && !bFirst)
            pPaintManager->DrawCommandBarSeparator(pDC, this, pControl, TRUE);
        bFirst = FALSE;
        CRect rcControl = pControl->GetRect();
        CRect rcIntersect;
        if (!rcIntersect.IntersectRect(rcClipBox, rcControl))
            continue;
        CXTPFontDC font(pDC, pPaintManager->GetCommandBarFont(this, pControl->IsItemDefault()));
        pControl->Draw(pDC);
    }

    if (IsCustomizeMode())
    {
        CXTPCommandBars* pCommandBars = GetCommandBars();
        CXTPControl* pDrag = pCommandBars != NULL ? pCommandBars->GetDragControl() : NULL;
        if (pDrag != NULL && pDrag->GetParent() == this && pDrag->IsVisible())
        {
            CRect rc = pDrag->GetRect();
            pDC->Draw3dRect(rc, RGB(0, 0, 0), RGB(0, 0, 0));
            rc.DeflateRect(1, 1);
            pDC->Draw3dRect(rc, RGB(0, 0, 0), RGB(0, 0, 0));
        }
        DrawInsertMarker(pDC);
    }
}

void CXTPCommandBar::PaintClient(CDC* pDC, const CRect& rcClip)
{
    DrawCommandBar(pDC, rcClip);
}

void CXTPCommandBar::OnPaint()
{
    CPaintDC dc(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    CRect rcClip;
    dc.GetClipBox(&rcClip);
    if (rcClip.IsRectEmpty())
        rcClip = rcClient;
    // The animation object paints from the back buffer.
    m_pAnimation->OnPaint(&dc, rcClip);
}

BOOL CXTPCommandBar::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

LRESULT CXTPCommandBar::OnPrint(WPARAM wParam, LPARAM)
{
    HDC hDC = (HDC)wParam;
    if (hDC == NULL)
        return 0;
    CRect rcClient;
    GetClientRect(&rcClient);
    DrawCommandBar(CDC::FromHandle(hDC), rcClient);
    return 1;
}

void CXTPCommandBar::Redraw(LPCRECT lpRect, BOOL bAnimate)
{
    if (m_nLockRedraw > 0)
    {
        m_dwIdleFlags |= xtpIdleRedraw;
        return;
    }
    if (lpRect == NULL)
        m_dwIdleFlags &= ~(DWORD)xtpIdleRedraw;
    if (m_hWnd != NULL && ::IsWindow(m_hWnd))
        m_pAnimation->RedrawRect(lpRect, bAnimate);
}

void CXTPCommandBar::DelayRedraw()
{
    m_dwIdleFlags |= xtpIdleRedraw;
}

void CXTPCommandBar::UnlockRedraw()
{
    if (m_nLockRedraw > 0)
        m_nLockRedraw--;
    if (m_nLockRedraw == 0 && (m_dwIdleFlags & xtpIdleRedraw))
        Redraw();
}

CRect CXTPCommandBar::GetBorders()
{
    return GetPaintManager()->GetCommandBarBorders(this);
}

void CXTPCommandBar::OnSysColorChange()
{
    CWnd::OnSysColorChange();
    Redraw();
}

//////////////////////////////////////////////////////////////////////////
// Idle command-UI update

void CXTPCommandBar::CCommandBarCmdUI::Enable(BOOL bOn)
{
    m_bEnableChanged = TRUE;
    CXTPControl* pControl = m_pControl;
    if (pControl == NULL)
        return;
    if (pControl->GetAction() != NULL)
    {
        pControl->SetEnabled(bOn ? -1 : FALSE);
        return;
    }
    pControl->SetEnabled(bOn);
    if (!bOn && !m_bCheckChanged && pControl->GetChecked())
        pControl->SetChecked(0);
}

void CXTPCommandBar::CCommandBarCmdUI::SetCheck(int nCheck)
{
    m_bCheckChanged = TRUE;
    if (m_pControl != NULL && m_pControl->GetChecked() != nCheck)
        m_pControl->SetChecked(nCheck);
}

void CXTPCommandBar::CCommandBarCmdUI::SetText(LPCTSTR lpszText)
{
    if (m_pControl != NULL)
        m_pControl->SetCaption(lpszText);
}

void CXTPCommandBar::OnUpdateCmdUI(CWnd* pTarget, BOOL bDisableIfNoHndler)
{
    CXTPCommandBar* pRoot = GetRootParent();
    BOOL bCustomize = IsCustomizeMode();
    CCommandBarCmdUI state;
    state.m_pOther = this;
    state.m_nIndexMax = (UINT)GetControlCount();

    for (int i = 0; i < GetControlCount(); i++)
    {
        CXTPControl* pControl = GetControl(i);
        if (pControl == NULL || !pControl->IsVisible(xtpHideGeneric | xtpHideScroll | xtpHideExpand))
            continue;
        if (pRoot->m_bNoUpdate || (pControl->GetFlags() & xtpFlagManualUpdate) != 0)
        {
            pControl->OnIdleUpdate();
            continue;
        }

        state.m_pControl = pControl;
        state.m_nIndex = (UINT)i;
        state.m_nID = (UINT)pControl->GetID();
        state.m_bCheckChanged = FALSE;
        state.m_bEnableChanged = FALSE;
        state.m_bContinueRouting = FALSE;

        pControl->OnIdleUpdate();
        if (bCustomize)
        {
            if (pControl->GetEnabledState() != -1)
                pControl->SetEnabled(TRUE);
            continue;
        }
        if (OnCmdMsg(0, (int)0xBD11FFFF, &state, NULL))
            continue;
        if (state.m_nID != 0 && OnCmdMsg(state.m_nID, (int)CN_UPDATE_COMMAND_UI, &state, NULL))
            continue;
        if (pTarget != NULL)
            state.DoUpdate(pTarget, bDisableIfNoHndler && !IsOwnControl(pControl));
    }
    if (pTarget != NULL)
        UpdateDialogControls(pTarget, bDisableIfNoHndler);
}

void CXTPCommandBar::OnIdleUpdate()
{
    if (m_hWnd == NULL || !::IsWindowVisible(m_hWnd))
        return;

    // Controls limited to some document templates.
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars != NULL)
    {
        UINT nTemplate = pCommandBars->GetActiveDocTemplate();
        for (int i = 0; i < GetControlCount(); i++)
        {
            CXTPControl* pControl = GetControl(i);
            BOOL bHide = FALSE;
            BOOL bValue;
            if (pControl->GetDocTemplatesAssigned().GetCount() > 0)
                bHide = !pControl->GetDocTemplatesAssigned().Lookup(nTemplate, bValue);
            if (pControl->GetDocTemplatesExcluded().GetCount() > 0 &&
                pControl->GetDocTemplatesExcluded().Lookup(nTemplate, bValue))
                bHide = TRUE;
            if (((pControl->GetHideFlags() & xtpHideDocTemplate) != 0) != bHide)
            {
                pControl->SetHideFlag(xtpHideDocTemplate, bHide);
                DelayLayout();
            }
        }
    }

    // The options may switch the command-UI update of the bars off.
    if (pCommandBars == NULL || pCommandBars->GetCommandBarsOptions()->bUpdateCmdUI)
        OnUpdateCmdUI(GetOwnerSite(), TRUE);

    if (m_dwIdleFlags & xtpIdleRedraw)
        Redraw();
    if (m_dwIdleFlags & xtpIdleLayout)
        OnRecalcLayout();
}

LRESULT CXTPCommandBar::OnIdleUpdateCmdUI(WPARAM, LPARAM)
{
    OnIdleUpdate();
    return 0;
}

LRESULT CXTPCommandBar::OnInitialUpdate(WPARAM, LPARAM)
{
    OnIdleUpdate();
    return 0;
}

//////////////////////////////////////////////////////////////////////////
// Window life

BOOL AFX_CDECL CXTPCommandBar::RegisterBarClass(LPCTSTR lpszClass, UINT nClassStyle)
{
    return CXTPDrawHelpers::RegisterWndClass(AfxGetInstanceHandle(), lpszClass, nClassStyle);
}

BOOL CXTPCommandBar::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (m_pToolTipContext != NULL)
        m_pToolTipContext->FilterToolTipMessage(this, message, wParam, lParam);
    return CWnd::OnWndMsg(message, wParam, lParam, pResult);
}

int CXTPCommandBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars != NULL && pCommandBars->GetToolTipContext() != NULL && m_pToolTipContext == NULL)
    {
        m_pToolTipContext = pCommandBars->GetToolTipContext();
        m_pToolTipContext->InternalAddRef();
    }
    // Every bar but a list box takes customise drops.
    if (pCommandBars != NULL && pCommandBars->GetDragTracker() != NULL && m_barPosition != xtpBarListBox)
        pCommandBars->GetDragTracker()->Register(this);
    return 0;
}

void CXTPCommandBar::OnDestroy()
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars != NULL && pCommandBars->GetDragTracker() != NULL)
        pCommandBars->GetDragTracker()->Unregister(this);
    if (m_bTracking)
        SetTrackingMode(FALSE, TRUE, FALSE);
    m_pAnimation->OnDestroy();
    CXTPMouseManager* pMouseManager = XTPMouseManager();
    if (pMouseManager->GetMouseLeaveWindow() == m_hWnd)
        pMouseManager->TrackMouseLeave((HWND)NULL);
    CWnd::OnDestroy();
}

void CXTPCommandBar::OnRemoved()
{
    SetTrackingMode(FALSE, TRUE, FALSE);
    XTPKeyboardManager()->UnhookKeyboard(this);
    XTPHookManager()->RemoveHookAbleFromAll(this);
    CXTPMouseManager* pMouseManager = XTPMouseManager();
    if (pMouseManager->GetSelectedCommandBar() == this)
        pMouseManager->SetSelectedCommandBar(NULL);
    m_pControls->RemoveAll();
    if (m_hWnd != NULL)
        DestroyWindow();
}

//////////////////////////////////////////////////////////////////////////
// Copying

void CXTPCommandBar::Copy(CXTPCommandBar* pCommandBar, BOOL bRecursive)
{
    if (pCommandBar == NULL || pCommandBar == this)
        return;
    m_barType = pCommandBar->m_barType;
    m_barPosition = pCommandBar->m_barPosition;
    m_nBarID = pCommandBar->m_nBarID;
    m_dwFlags = pCommandBar->m_dwFlags;
    m_dwStyle = pCommandBar->m_dwStyle;
    m_strTitle = pCommandBar->m_strTitle;
    m_bCustomizable = pCommandBar->m_bCustomizable;
    m_nMRUWidth = pCommandBar->m_nMRUWidth;
    m_szIcons = pCommandBar->m_szIcons;
    m_szButtons = pCommandBar->m_szButtons;
    m_pCommandBars = pCommandBar->m_pCommandBars;
    m_buttonStyle = pCommandBar->m_buttonStyle;

    CXTPControls* pControls = pCommandBar->m_pControls->Duplicate(bRecursive);
    SetControls(pControls);
    pControls->InternalRelease();
}

CXTPCommandBar* CXTPCommandBar::Clone(BOOL bRecursive)
{
    CXTPCommandBar* pBar = (CXTPCommandBar*)GetRuntimeClass()->CreateObject();
    if (pBar == NULL)
        return NULL;
    pBar->Copy(this, bRecursive);
    return pBar;
}

//////////////////////////////////////////////////////////////////////////
// Accessibility

DWORD CXTPCommandBar::InternalQueryInterface(const void* iid, LPVOID* ppvObj)
{
    return XTPQueryAccessible(this, GetAccessible(), iid, ppvObj);
}

LPDISPATCH CXTPCommandBar::GetIDispatch(BOOL bAddRef)
{
    IDispatch* pDispatch = GetAccessible();
    if (bAddRef)
        pDispatch->AddRef();
    return pDispatch;
}

//////////////////////////////////////////////////////////////////////////
// CXTPCommandBarList

CXTPCommandBarList::~CXTPCommandBarList()
{
    RemoveAll();
}

CXTPCommandBar* CXTPCommandBarList::GetAt(int nIndex) const
{
    if (nIndex < 0 || nIndex >= m_arrBars.GetSize())
        return NULL;
    return m_arrBars[nIndex];
}

CXTPCommandBar* CXTPCommandBarList::Add(CXTPCommandBar* pCommandBar)
{
    if (pCommandBar != NULL)
        m_arrBars.Add(pCommandBar);
    return pCommandBar;
}

BOOL CXTPCommandBarList::Lookup(CXTPCommandBar* pCommandBar) const
{
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); i++)
    {
        if (m_arrBars[i] == pCommandBar)
            return TRUE;
    }
    return FALSE;
}

CXTPCommandBar* CXTPCommandBarList::FindCommandBar(UINT nBarID) const
{
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); i++)
    {
        if (m_arrBars[i]->GetBarID() == nBarID)
            return m_arrBars[i];
    }
    return NULL;
}

void CXTPCommandBarList::Remove(CXTPCommandBar* pCommandBar)
{
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); i++)
    {
        if (m_arrBars[i] == pCommandBar)
        {
            m_arrBars.RemoveAt(i);
            pCommandBar->InternalRelease();
            return;
        }
    }
}

void CXTPCommandBarList::RemoveAll()
{
    CArray<CXTPCommandBar*, CXTPCommandBar*> arrBars;
    arrBars.Copy(m_arrBars);
    m_arrBars.RemoveAll();
    for (INT_PTR i = 0; i < arrBars.GetSize(); i++)
        arrBars[i]->InternalRelease();
}
