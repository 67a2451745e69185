// The toolbar: docked and floating layouts, the expand and close buttons,
// the Add or Remove Buttons list, visibility, reset and its window.
#include "XTPToolBar.h"
#include "XTPDockContext.h"
#include "XTPControls.h"
#include "XTPControlAction.h"
#include "XTPCommandBars.h"
#include "XTPCommandBarsOptions.h"
#include "XTPShortcutManager.h"
#include "XTPDockBar.h"
#include "XTPPopupBar.h"
#include "XTPPaintManager.h"
#include "XTPImageManager.h"
#include "XTPResourceManager.h"
#include "XTPDrawHelpers.h"
#include "XTPDCHelpers.h"

XTP_IMPLEMENT_DYNCREATE_NESTED(CXTPToolBar, CControlButtonExpand, CXTPControlPopup)
XTP_IMPLEMENT_DYNCREATE_NESTED(CXTPToolBar, CControlButtonHide, CXTPControlButton)
XTP_IMPLEMENT_DYNCREATE_NESTED(CXTPToolBar, CControlButtonCustomize, CXTPControlButton)
IMPLEMENT_DYNCREATE(CXTPToolBar, CXTPCommandBar)

#define XTP_TOOLBAR_CLASSNAME _T("XTPToolBar")

// Room kept at the end of a docked bar for its expand button.
static const int XTP_EXPAND_BUTTON_WIDTH = 11;

namespace
{
// A click on a floating bar lifts it above the other windows of its frame's
// family, but not above the family's active dialog (a dialog open over the
// frame, such as the Customize sheet): the click does not activate the bar,
// and a dialog stays over the windows it is opened from. Over another
// floating window (a pane) the bar comes as what was clicked. Only where
// the program stacks its owned windows itself (under Wine): on Windows a
// bar clicked without activation stays where the system keeps it.
void LiftFloatingBar(CWnd* pBar)
{
    // A window manager raises the bar clicked itself, where the display's
    // stacking tells the program its order.
    if (!AfxOwnedWindowsRestacked() || AfxIsScreenStackingReadable())
        return;
    HWND hRoot = pBar->m_hWnd;
    for (HWND hOwner = ::GetWindow(hRoot, GW_OWNER); hOwner != NULL; hOwner = ::GetWindow(hRoot, GW_OWNER))
        hRoot = hOwner;
    HWND hActive = ::GetActiveWindow();
    const UINT nFlags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
    if (hActive != NULL && hActive != hRoot && hActive != pBar->m_hWnd && AfxIsDescendant(hRoot, hActive) &&
        (::GetWindowLongPtr(hActive, GWL_EXSTYLE) & WS_EX_TOPMOST) == 0 &&
        DYNAMIC_DOWNCAST(CMiniFrameWnd, CWnd::FromHandlePermanent(hActive)) == NULL)
        pBar->SetWindowPos(CWnd::FromHandle(hActive), 0, 0, 0, 0, nFlags);   // just below the active one
    else
        pBar->SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, nFlags);
}
} // namespace

BEGIN_MESSAGE_MAP(CXTPToolBar, CXTPCommandBar)
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
    ON_MESSAGE(WM_FLOATSTATUS, OnFloatStatus)
    ON_WM_NCCREATE()
    ON_WM_MOUSEACTIVATE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_NCLBUTTONDOWN()
    ON_WM_NCHITTEST()
    ON_WM_SETCURSOR()
    ON_WM_RBUTTONDOWN()
    ON_WM_SETFOCUS()
    ON_WM_TIMER()
END_MESSAGE_MAP()

//////////////////////////////////////////////////////////////////////////
// The expand button

CXTPToolBar::CControlButtonExpand::CControlButtonExpand()
    : m_bHiddenControls(FALSE)
{
    m_nId = XTP_ID_TOOLBAR_EXPAND;
    LoadPromptTips();
    m_controlType = xtpControlButtonPopup;
    m_dwFlags = 0x1C;
}

void CXTPToolBar::CControlButtonExpand::SetRect(CRect rcControl)
{
    CXTPControlPopup::SetRect(rcControl);
    m_bHiddenControls = FALSE;
    if (m_pParent == NULL)
        return;
    for (int i = 0; i < m_pParent->GetControlCount(); i++)
    {
        if (m_pParent->GetControl(i)->GetHideFlags() == xtpHideWrap)
        {
            m_bHiddenControls = TRUE;
            break;
        }
    }
}

CSize CXTPToolBar::CControlButtonExpand::GetSize(CDC*)
{
    return m_rcControl.Size();
}

void CXTPToolBar::CControlButtonExpand::Draw(CDC* pDC)
{
    if (m_pParent == NULL)
        return;
    int nKind = m_pParent->GetPosition() == xtpBarFloating ? 3 : 0;
    GetPaintManager()->DrawExpandOrHideButton(pDC, nKind, this, m_pParent, TRUE, &m_bHiddenControls);
}

BOOL CXTPToolBar::CControlButtonExpand::OnSetPopup(BOOL bPopup)
{
    CXTPToolBar* pToolBar = DYNAMIC_DOWNCAST(CXTPToolBar, m_pParent);
    if (!bPopup || pToolBar == NULL)
        return CXTPControlPopup::OnSetPopup(bPopup);

    CXTPCommandBars* pCommandBars = GetCommandBars();
    SetCommandBar((CXTPCommandBar*)NULL);

    CXTPPopupBar* pPopupBar = NULL;
    CWnd* pSite = m_pParent->GetSite();
    if (pSite != NULL && pSite->GetSafeHwnd() != NULL)
    {
        XTP_COMMANDBARS_CREATEBAR cs;
        ZeroMemory(&cs, sizeof(cs));
        cs.bPopup = TRUE;
        cs.bExpandBar = TRUE;
        if (pSite->SendMessage(WM_XTP_CREATECOMMANDBAR, 0, (LPARAM)&cs) != 0 && cs.pCommandBar != NULL)
        {
            pPopupBar = DYNAMIC_DOWNCAST(CXTPPopupBar, cs.pCommandBar);
            if (pPopupBar == NULL)
                cs.pCommandBar->InternalRelease();
        }
    }
    if (pPopupBar == NULL)
        pPopupBar = CXTPPopupBar::CreatePopupBar(pCommandBars);
    if (!pPopupBar->IsCustomizeEnabledOnPopup())
        pPopupBar->SetCustomizable(FALSE);

    if (pCommandBars != NULL)
    {
        pCommandBars->FillExpandPopup(pToolBar, pPopupBar);
        if (pCommandBars->IsCustomizable() || pToolBar->ShowExpandButtonAlways())
        {
            BOOL bGroup = pPopupBar->GetControlCount() > 0;
            CXTPControl* pAddRemove =
                pPopupBar->GetControls()->Add(xtpControlPopup, XTP_ID_CUSTOMIZE_ADDORREMOVE);
            pAddRemove->SetFlags(pAddRemove->GetFlags() | xtpFlagManualUpdate);
            pAddRemove->SetBeginGroup(bGroup);
            if (pAddRemove->GetCommandBar() != NULL)
                pCommandBars->FillAddRemovePopup(pToolBar, pAddRemove->GetCommandBar());
        }
    }
    else
    {
        for (int i = 0; i < pToolBar->GetControlCount(); i++)
        {
            CXTPControl* pControl = pToolBar->GetControl(i);
            if (pControl->GetHideFlags() != xtpHideWrap)
                continue;
            CXTPControl* pCopy = pPopupBar->GetControls()->AddClone(pControl, -1, TRUE);
            pCopy->SetHideFlags(0);
            pCopy->SetBeginGroup(FALSE);
        }
    }

    SetCommandBar(pPopupBar);
    pPopupBar->InternalRelease();
    SetRect(m_rcControl);
    BOOL bOpened = CXTPControlPopup::OnSetPopup(TRUE);
    RedrawParent(FALSE);
    return bOpened;
}

//////////////////////////////////////////////////////////////////////////
// The close button

CXTPToolBar::CControlButtonHide::CControlButtonHide()
{
    m_nId = XTP_ID_TOOLBAR_HIDE;
    LoadPromptTips();
    m_dwFlags = 0x1A;
}

void CXTPToolBar::CControlButtonHide::OnExecute()
{
    CXTPToolBar* pToolBar = DYNAMIC_DOWNCAST(CXTPToolBar, m_pParent);
    if (pToolBar == NULL)
        return;
    InternalAddRef();
    pToolBar->SetVisible(FALSE);
    m_nPressed = 0;
    InternalRelease();
}

void CXTPToolBar::CControlButtonHide::Draw(CDC* pDC)
{
    GetPaintManager()->DrawExpandOrHideButton(pDC, 2, this, m_pParent, TRUE, NULL);
}

//////////////////////////////////////////////////////////////////////////
// An entry of the Add or Remove Buttons list

CXTPToolBar::CControlButtonCustomize::CControlButtonCustomize()
    : m_pTargetControl(NULL)
    , m_pTargetBar(NULL)
{
}

CXTPToolBar::CControlButtonCustomize::~CControlButtonCustomize()
{
    if (m_pTargetControl != NULL)
        m_pTargetControl->InternalRelease();
}

void CXTPToolBar::CControlButtonCustomize::SetTarget(CXTPControl* pControl)
{
    if (pControl != NULL)
        pControl->InternalAddRef();
    if (m_pTargetControl != NULL)
        m_pTargetControl->InternalRelease();
    m_pTargetControl = pControl;
    m_pTargetBar = NULL;
}

void CXTPToolBar::CControlButtonCustomize::SetTarget(CXTPCommandBar* pBar)
{
    SetTarget((CXTPControl*)NULL);
    m_pTargetBar = pBar;
}

CSize CXTPToolBar::CControlButtonCustomize::GetSize(CDC* pDC)
{
    return CXTPControlButton::GetSize(pDC);
}

void CXTPToolBar::CControlButtonCustomize::Draw(CDC* pDC)
{
    CXTPControlButton::Draw(pDC);
}

void CXTPToolBar::CControlButtonCustomize::OnExecute()
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars != NULL)
        pCommandBars->GetCommandBarsOptions()->bDirtyState = TRUE;

    if (m_pTargetControl != NULL)
    {
        CXTPControl* pTarget = m_pTargetControl;
        BOOL bShow = (pTarget->GetHideFlags() & xtpHideCustomize) != 0;
        pTarget->SetHideFlag(xtpHideCustomize, !bShow);
        SetChecked(bShow);
        if (pTarget->GetParent() != NULL)
        {
            pTarget->GetParent()->DelayLayout();
            pTarget->GetParent()->OnRecalcLayout();
        }
        for (CXTPCommandBar* pBar = m_pParent; pBar != NULL; pBar = pBar->GetParentCommandBar())
            pBar->Redraw();
        return;
    }
    if (m_pTargetBar != NULL)
    {
        CXTPToolBar* pToolBar = DYNAMIC_DOWNCAST(CXTPToolBar, m_pTargetBar);
        if (pCommandBars != NULL)
            pCommandBars->ClosePopups();
        if (pToolBar != NULL)
            pToolBar->ResetToolBar(TRUE);
    }
}

//////////////////////////////////////////////////////////////////////////
// CXTPToolBar

CXTPToolBar::CXTPToolBar()
    : m_pDockBar(NULL)
    , m_pDockContext(NULL)
    , m_bBuiltIn(TRUE)
    , m_bTearOff(FALSE)
    , m_bPreviewVisible(FALSE)
    , m_bPreviewMode(FALSE)
    , m_bShowExpandButton(TRUE)
    , m_bCloseable(TRUE)
    , m_bContextMenuPresent(TRUE)
    , m_bInRecalcLayout(FALSE)
    , m_nShowChecks(0)
    , m_rcMRUDock(0, 0, 0, 0)
    , m_mruDockPosition(xtpBarTop)
    , m_ptMRUFloat(100, 100)
    , m_nIDResource(0)
{
    m_dwFlags = 0x3F;
    m_pDockContext = new CXTPDockContext(this);
}

CXTPToolBar::~CXTPToolBar()
{
    delete m_pDockContext;
}

BOOL CXTPToolBar::ShowExpandButtonAlways() const
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    return pCommandBars != NULL && pCommandBars->GetCommandBarsOptions()->bShowExpandButtonAlways;
}

BOOL CXTPToolBar::CreateToolBar(DWORD dwStyle, CWnd* pParentWnd, UINT nID)
{
    m_dwStyle = dwStyle & CBRS_ALL;
    RegisterBarClass(XTP_TOOLBAR_CLASSNAME, CS_DBLCLKS);
    DWORD dwWindowStyle = (dwStyle & ~CBRS_ALL) | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    if (!CreateEx(0, XTP_TOOLBAR_CLASSNAME, m_strTitle, dwWindowStyle, CRect(0, 0, 0, 0), pParentWnd, nID))
    {
        TRACE("CXTPToolBar::CreateToolBar: the toolbar window could not be created\n");
        return FALSE;
    }
    m_barPosition = xtpBarTop;
    m_dwFlags &= ~(DWORD)0x3F;
    delete m_pDockContext;
    m_pDockContext = NULL;
    // Without command bars no tooltip context serves the bar: the class
    // library's tooltips show the controls' tips (OnToolHitTest).
    if ((dwStyle & CBRS_TOOLTIPS) != 0 && GetCommandBars() == NULL)
        EnableToolTips(TRUE);
    return TRUE;
}

BOOL CXTPToolBar::CreateBarWindow(CWnd* pFrame, BOOL bFloating)
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (m_hWnd == NULL)
    {
        RegisterBarClass(XTP_TOOLBAR_CLASSNAME, CS_DBLCLKS);
        DWORD dwExStyle = (pCommandBars != NULL && pCommandBars->IsLayoutRTL()) ? WS_EX_LAYOUTRTL : 0;
        DWORD dwStyle = bFloating ? 0x86000100 : 0x46000100;
        // The window starts where the dock context last floated the bar.
        CPoint ptCreate = m_pDockContext != NULL ? m_pDockContext->m_ptMRUFloatPos : CPoint(100, 100);
        if (!CreateEx(dwExStyle, XTP_TOOLBAR_CLASSNAME, m_strTitle, dwStyle,
                      CRect(ptCreate, CSize(0, 0)), pFrame, 0))
        {
            TRACE("CXTPToolBar::CreateBarWindow: the toolbar window could not be created\n");
            return FALSE;
        }
        if (m_bVisible)
            ShowWindow(SW_SHOWNA);
    }
    // Under Wine with a window manager, a pop-up without a caption is left
    // to no window manager: it would lie above every managed window, the
    // game's dialogs and other programs' windows included. A floating bar
    // carries the system-menu style there (it draws nothing without a
    // caption), which hands it to the window manager, who keeps it above
    // its frame only.
    const DWORD dwManagedStyle = AfxWindowManagerStacksWindows() ? WS_SYSMENU : 0;
    if (bFloating)
    {
        if (dwManagedStyle != 0 && (CWnd::GetStyle() & dwManagedStyle) == 0)
            ModifyStyle(0, dwManagedStyle);
        // A child window, or a window still placed inside another one (a
        // dock bar), becomes a top-level popup owned by the frame.
        if ((CWnd::GetStyle() & WS_CHILD) || ::GetAncestor(m_hWnd, GA_PARENT) != ::GetDesktopWindow())
        {
            ::SetParent(m_hWnd, NULL);
            ModifyStyle(WS_CHILD, WS_POPUP | 0x100);
            ::SetWindowLongPtr(m_hWnd, GWLP_HWNDPARENT, (LONG_PTR)pFrame->GetSafeHwnd());
            // Torn off while the frame keeps its place in the order (a drag
            // out of a dock bar): the frame puts the windows it owns, this
            // one now among them, in front of itself.
            CFrameWnd* pFrameWnd = DYNAMIC_DOWNCAST(CFrameWnd, pFrame);
            if (pFrameWnd != NULL)
                pFrameWnd->KeepOwnedWindowsInFront();
        }
    }
    else if (CWnd::GetStyle() & WS_POPUP)
    {
        ModifyStyle(WS_POPUP | dwManagedStyle, WS_CHILD);
        ::SetParent(m_hWnd, pFrame->GetSafeHwnd());
    }
    return TRUE;
}

BOOL CXTPToolBar::SetPosition(XTPBarPosition barPosition)
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars == NULL)
        return FALSE;
    if (barPosition >= xtpBarTop && barPosition <= xtpBarRight)
        return pCommandBars->DockCommandBar(this, barPosition);
    if (barPosition == xtpBarFloating)
        return pCommandBars->FloatCommandBar(this);
    return FALSE;
}

//////////////////////////////////////////////////////////////////////////
// Loading and resetting

BOOL CXTPToolBar::LoadToolBar(UINT nIDResource, BOOL bLoadIcons)
{
    m_nBarID = nIDResource;
    m_nIDResource = nIDResource;
    if (!CXTPCommandBar::LoadToolBar(nIDResource, bLoadIcons))
        return FALSE;
    m_pControls->CreateOriginalControls();
    return TRUE;
}

// Asks the user whether the bar's changes are to be undone: TRUE for OK.
BOOL CXTPToolBar::ConfirmReset() const
{
    CString strFormat;
    if (!XTPResourceManager()->LoadString(&strFormat, XTP_IDS_CONFIRM_RESETTOOLBAR))
        strFormat = _T("Are you sure you want to reset the changes made to the '%s' toolbar?");
    CString strMessage;
    strMessage.Format(strFormat, (LPCTSTR)m_strTitle);
    return AfxMessageBox(strMessage, MB_OKCANCEL | MB_ICONWARNING) == IDOK;
}

// After a reset: the bar's site hears of it, and the bar takes its
// controls' state and lays itself out again.
void CXTPToolBar::AfterReset()
{
    CWnd* pSite = GetSite();
    if (pSite != NULL && pSite->GetSafeHwnd() != NULL)
        pSite->SendMessage(WM_XTP_TOOLBARRESET, (WPARAM)this);
    OnIdleUpdate();
    DelayLayout();
    OnRecalcLayout();
}

void CXTPToolBar::ResetToolBar(BOOL bShowWarningMessage)
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars == NULL || m_nBarID == 0 || !m_bBuiltIn || !IsCustomizable())
        return;

    if (bShowWarningMessage && !ConfirmReset())
        return;

    CXTPControls* pOriginal = m_pControls->GetOriginalControls();
    if (pOriginal == NULL)
    {
        LoadToolBar(m_nIDResource != 0 ? m_nIDResource : m_nBarID, FALSE);
    }
    else
    {
        pOriginal->InternalAddRef();
        m_pControls->RemoveAll();
        for (int i = 0; i < pOriginal->GetCount(); i++)
        {
            if (!pOriginal->GetAt(i)->IsTemporary())
                m_pControls->AddClone(pOriginal->GetAt(i), -1, TRUE);
        }
        pOriginal->InternalRelease();
    }

    AfterReset();
}

BOOL CXTPToolBar::IsChanged() const
{
    if (!IsCustomizable())
        return FALSE;
    return m_pControls->GetOriginalControls() == NULL || m_pControls->IsChanged();
}

//////////////////////////////////////////////////////////////////////////
// Visibility and preview

void CXTPToolBar::SetVisible(BOOL bVisible)
{
    if (m_bVisible == bVisible)
        return;

    // The bar may be released below (a torn-off bar is removed when hidden);
    // the reference keeps it until this function is done with it.
    InternalAddRef();
    if (!bVisible)
        SetTrackingMode(FALSE);
    m_bVisible = bVisible;
    if (m_hWnd != NULL)
        ShowWindow(bVisible ? SW_SHOWNA : SW_HIDE);

    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars != NULL)
    {
        pCommandBars->GetCommandBarsOptions()->bDirtyState = TRUE;
        DelayLayout();
        OnRecalcLayout();
        CWnd* pFrame = pCommandBars->GetSite();
        if (pFrame != NULL && pFrame->GetSafeHwnd() != NULL)
            pFrame->SendMessage(WM_XTP_TOOLBARVISIBLECHANGED, (WPARAM)this, (LPARAM)bVisible);
        if (m_bTearOff && !bVisible)
            pCommandBars->Remove(this);
    }
    else
    {
        OnRecalcLayout();
    }
    InternalRelease();
}

void CXTPToolBar::OnSetPreviewMode(BOOL bPreview)
{
    if (bPreview)
    {
        m_bPreviewVisible = m_bVisible;
        if (m_bVisible)
        {
            m_bVisible = FALSE;
            if (m_hWnd != NULL)
                ShowWindow(SW_HIDE);
        }
    }
    else if (m_bPreviewVisible)
    {
        m_bVisible = TRUE;
        if (m_hWnd != NULL)
            ShowWindow(SW_SHOWNA);
        if (m_barType == xtpBarTypeMenuBar)
        {
            CWnd* pSite = GetSite();
            if (pSite != NULL && pSite->GetSafeHwnd() != NULL)
                pSite->DrawMenuBar();
        }
    }
    m_bPreviewMode = bPreview;
}

//////////////////////////////////////////////////////////////////////////
// Layout

CRect CXTPToolBar::GetBorders()
{
    if (m_barPosition == xtpBarFloating)
        return CRect(3, 3, 3, 3);
    CXTPPaintManager* pPaintManager = GetPaintManager();
    CRect rcBorders = pPaintManager->GetCommandBarBorders(this);
    if (GetShowGripper())
    {
        CSize szGripper = pPaintManager->DrawCommandBarGripper(NULL, this, FALSE);
        rcBorders.left += szGripper.cx;
        rcBorders.top += szGripper.cy;
    }
    return rcBorders;
}

CXTPToolBar::CControlButtonExpand* CXTPToolBar::GetExpandButton(BOOL bCreate)
{
    for (int i = 0; i < GetControlCount(); i++)
    {
        CControlButtonExpand* pExpand = DYNAMIC_DOWNCAST(CControlButtonExpand, GetControl(i));
        if (pExpand != NULL)
            return pExpand;
    }
    if (!bCreate)
        return NULL;
    CControlButtonExpand* pExpand = new CControlButtonExpand();
    m_pControls->Add(pExpand, XTP_ID_TOOLBAR_EXPAND, NULL, -1, TRUE);
    pExpand->SetHideFlags(xtpHideGeneric);
    return pExpand;
}

CXTPToolBar::CControlButtonHide* CXTPToolBar::GetHideButton(BOOL bCreate)
{
    for (int i = 0; i < GetControlCount(); i++)
    {
        CControlButtonHide* pHide = DYNAMIC_DOWNCAST(CControlButtonHide, GetControl(i));
        if (pHide != NULL)
            return pHide;
    }
    if (!bCreate)
        return NULL;
    CControlButtonHide* pHide = new CControlButtonHide();
    m_pControls->Add(pHide, XTP_ID_TOOLBAR_HIDE, NULL, -1, TRUE);
    pHide->SetHideFlags(xtpHideGeneric);
    return pHide;
}

CSize CXTPToolBar::CalcLayout(int nLength, DWORD dwMode, const CRect& rcBorders, int nWidth)
{
    // Measured on a memory DC of the screen: the same metrics as the screen's
    // own DC, without fetching the desktop's visible region on every pass
    // (a bar is measured several times per layout).
    CDC dc;
    if (!dc.CreateCompatibleDC(NULL))
    {
        CClientDC dcScreen(NULL);
        CXTPFontDC font(&dcScreen, GetPaintManager()->GetCommandBarFont(this));
        return m_pControls->CalcDynamicSize(&dcScreen, nLength, dwMode, rcBorders, nWidth);
    }
    CXTPFontDC font(&dc, GetPaintManager()->GetCommandBarFont(this));
    return m_pControls->CalcDynamicSize(&dc, nLength, dwMode, rcBorders, nWidth);
}

CSize CXTPToolBar::CalcDockingLayout(int nLength, DWORD dwMode, int nWidth)
{
    CXTPPaintManager* pPaintManager = GetPaintManager();
    CRect rcBorders = GetBorders();
    BOOL bHorzDock = (dwMode & LM_HORZDOCK) != 0;
    int nMin = 0;
    if (nWidth > 0)
        nMin = bHorzDock ? nWidth - rcBorders.top - rcBorders.bottom : nWidth - rcBorders.left - rcBorders.right;

    CControlButtonHide* pHide = GetHideButton(FALSE);
    if (pHide != NULL)
        pHide->SetHideFlags(xtpHideGeneric);
    CControlButtonExpand* pExpand = NULL;
    if (m_bShowExpandButton)
    {
        pExpand = GetExpandButton(TRUE);
        pExpand->SetHideFlags(xtpHideGeneric);
    }
    BOOL bAlways = ShowExpandButtonAlways();

    CSize sz;
    BOOL bReserve = pExpand != NULL && bAlways;
    if (pExpand != NULL && !bAlways)
    {
        if (dwMode & LM_COMMIT)
        {
            sz = CalcLayout(nLength, dwMode, rcBorders, nMin);
            BOOL bHidden = FALSE;
            for (int i = 0; i < GetControlCount(); i++)
            {
                if (GetControl(i)->GetHideFlags() == xtpHideWrap)
                {
                    bHidden = TRUE;
                    break;
                }
            }
            bReserve = bHidden;
        }
        else
        {
            sz = CalcLayout(nLength, dwMode, rcBorders, nMin);
            CSize szMin = CalcLayout(1, dwMode, rcBorders, nMin);
            if (m_pControls->GetVisibleCount(TRUE) > 1)
            {
                if (bHorzDock)
                    sz.cx = std::max((int)sz.cx, (int)szMin.cx + XTP_EXPAND_BUTTON_WIDTH);
                else
                    sz.cy = std::max((int)sz.cy, (int)szMin.cy + XTP_EXPAND_BUTTON_WIDTH);
            }
            return sz;
        }
    }
    if (bReserve)
    {
        if (bHorzDock)
            rcBorders.right += XTP_EXPAND_BUTTON_WIDTH;
        else
            rcBorders.bottom += XTP_EXPAND_BUTTON_WIDTH;
        sz = CalcLayout(nLength, dwMode, rcBorders, nMin);
        if (pExpand != NULL)
        {
            // The strip at the end of the bar; the theme may place it otherwise.
            pExpand->SetHideFlags(0);
            CRect rcStrip = bHorzDock ? CRect(sz.cx - rcBorders.right, 0, sz.cx - rcBorders.right +
                                                                         XTP_EXPAND_BUTTON_WIDTH, sz.cy)
                                      : CRect(0, sz.cy - rcBorders.bottom, sz.cx,
                                              sz.cy - rcBorders.bottom + XTP_EXPAND_BUTTON_WIDTH);
            pExpand->SetRect(rcStrip);
            CSize szBar = sz;
            pPaintManager->DrawExpandOrHideButton(NULL, 0, pExpand, this, FALSE, &szBar);
        }
    }
    else if (pExpand == NULL)
    {
        sz = CalcLayout(nLength, dwMode, rcBorders, nMin);
    }

    if ((dwMode & LM_COMMIT) && (m_dwIdleFlags & xtpIdleLayout))
    {
        m_dwIdleFlags &= ~(DWORD)xtpIdleLayout;
        Redraw();
    }
    return sz;
}

CSize CXTPToolBar::CalcDynamicLayout(int nLength, DWORD dwMode)
{
    CXTPPaintManager* pPaintManager = GetPaintManager();
    CXTPCommandBars* pCommandBars = GetCommandBars();
    int nCaption = pPaintManager->DrawCommandBarGripper(NULL, this, FALSE).cy;
    CRect rcBorders(3, 3, 3, 3);
    rcBorders.top += nCaption + 1;

    CControlButtonHide* pHide = m_bCloseable ? GetHideButton(TRUE) : NULL;
    if (pHide != NULL)
        pHide->SetHideFlags(xtpHideGeneric);
    CControlButtonExpand* pExpand = (m_bShowExpandButton && pCommandBars != NULL) ? GetExpandButton(TRUE) : NULL;
    if (pExpand != NULL)
        pExpand->SetHideFlags(xtpHideGeneric);

    CSize sz;
    if (m_barType == xtpBarTypePopup)
    {
        CClientDC dc(NULL);
        CXTPFontDC font(&dc, pPaintManager->GetCommandBarFont(this));
        sz = m_pControls->CalcPopupSize(&dc, 0, rcBorders);
    }
    else
    {
        sz = CalcLayout(nLength, dwMode, rcBorders, 0);
    }

    int nRight = sz.cx - 3;
    if (pHide != NULL)
    {
        pHide->SetHideFlags(0);
        pHide->SetRect(CRect(nRight - nCaption, 3, nRight, 3 + nCaption));
        nRight -= nCaption;
    }
    if (pExpand != NULL && ShowExpandButtonAlways() && nRight - nCaption > 0)
    {
        pExpand->SetHideFlags(0);
        pExpand->SetRect(CRect(nRight - nCaption, 3, nRight, 3 + nCaption));
    }

    if ((dwMode & LM_COMMIT) && (m_dwIdleFlags & xtpIdleLayout))
    {
        m_dwIdleFlags &= ~(DWORD)xtpIdleLayout;
        Redraw();
    }
    return sz;
}

void CXTPToolBar::OnRecalcLayout()
{
    if (m_bInRecalcLayout)
        return;
    m_bInRecalcLayout = TRUE;
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (m_barPosition >= xtpBarTop && m_barPosition <= xtpBarRight)
    {
        if (pCommandBars != NULL)
        {
            pCommandBars->RecalcFrameLayout();
        }
        else
        {
            CWnd* pSite = GetSite();
            if (pSite != NULL && pSite->GetSafeHwnd() != NULL)
            {
                CRect rcClient;
                pSite->GetClientRect(&rcClient);
                pSite->SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(rcClient.Width(), rcClient.Height()));
            }
        }
    }
    else if (m_barPosition == xtpBarFloating && m_hWnd != NULL && m_bVisible)
    {
        CSize sz = CalcDynamicLayout(-1, LM_HORZ | LM_MRUWIDTH | LM_COMMIT);
        SetWindowPos(NULL, 0, 0, sz.cx, sz.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    Redraw();
    m_bInRecalcLayout = FALSE;
}

LRESULT CXTPToolBar::OnSizeParent(WPARAM, LPARAM lParam)
{
    AFX_SIZEPARENTPARAMS* pLayout = (AFX_SIZEPARENTPARAMS*)lParam;
    if (pLayout == NULL || m_hWnd == NULL || (CWnd::GetStyle() & WS_VISIBLE) == 0)
        return 0;

    DWORD dwMode = LM_HORZ | LM_HORZDOCK | LM_COMMIT;
    if (m_dwFlags & xtpFlagStretched)
        dwMode |= LM_STRETCH;
    if (m_dwFlags & xtpFlagHideWrap)
        dwMode |= LM_HIDEWRAP;
    if (pLayout->hDWP == NULL)
        dwMode &= ~(DWORD)LM_COMMIT;

    CRect rc = pLayout->rect;
    CSize sz = CalcDockingLayout(rc.Width(), dwMode);
    sz.cx = std::min((int)sz.cx, rc.Width());
    sz.cy = std::min((int)sz.cy, rc.Height());
    CRect rcBar(rc.left, rc.top, rc.left + sz.cx, rc.top + sz.cy);
    pLayout->rect.top += sz.cy;
    pLayout->sizeTotal.cy += sz.cy;
    pLayout->sizeTotal.cx = std::max((int)pLayout->sizeTotal.cx, (int)sz.cx);
    if (pLayout->hDWP != NULL)
        pLayout->hDWP = ::DeferWindowPos(pLayout->hDWP, m_hWnd, NULL, rcBar.left, rcBar.top, rcBar.Width(),
                                         rcBar.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    Redraw();
    return 0;
}

//////////////////////////////////////////////////////////////////////////
// Window messages

LRESULT CXTPToolBar::OnFloatStatus(WPARAM wParam, LPARAM)
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (m_barPosition == xtpBarFloating && m_bVisible && m_hWnd != NULL &&
        (pCommandBars == NULL || pCommandBars->GetCommandBarsOptions()->bSyncFloatingBars))
    {
        BOOL bTopActive = CXTPDrawHelpers::IsTopParentActive(m_hWnd);
        // A window manager (under Wine) keeps the bar with its frame, above
        // it and below another program brought to the front; hidden and shown
        // again, the bar would be mapped over the frame's other windows. So
        // there the bar neither hides nor shows itself: only the frame's
        // minimise hides it, with the frame's other windows, and its restore
        // shows them again in their order (the frame is activated while it
        // is being minimised, and a bar shown then would be mapped last).
        const BOOL bManaged = AfxWindowManagerStacksWindows();
        if ((wParam & FS_DEACTIVATE) && !bTopActive && !bManaged)
            SetWindowPos(NULL, 0, 0, 0, 0, 151);
        if ((wParam & FS_ACTIVATE) && !bManaged && !IsWindowVisible() && !ShowIfFrameInFront())
        {
            // The frame was activated before the system counted it in front
            // (on a busy system it can take more than a second): look again
            // for five seconds.
            m_nShowChecks = 50;
            SetTimer(XTP_TID_SHOWFLOATING, 100, NULL);
        }
        if (wParam & FS_SHOW)
            ShowWindow(SW_SHOWNA);
        if (wParam & FS_HIDE)
            ShowWindow(SW_HIDE);
        if (wParam & FS_ENABLE)
            EnableWindow(TRUE);
        if (wParam & FS_DISABLE)
            EnableWindow(FALSE);
    }
    return ((CWnd::GetStyle() & MFS_SYNCACTIVE) != 0 && (wParam & FS_SYNCACTIVE) != 0) ? 1 : 0;
}

BOOL CXTPToolBar::ShowIfFrameInFront()
{
    if (!CXTPDrawHelpers::IsTopParentActive(m_hWnd))
        return FALSE;
    // Shown again where it was in the order: the frame puts the windows it
    // owns in front of itself once it has been activated.
    HWND hWndForeground = ::GetForegroundWindow();
    if (hWndForeground != NULL && ::IsWindowVisible(hWndForeground) && !::IsIconic(hWndForeground))
        SetWindowPos(NULL, 0, 0, 0, 0, SWP_SHOWWINDOW | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
    return TRUE;
}

void CXTPToolBar::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != XTP_TID_SHOWFLOATING)
    {
        CXTPCommandBar::OnTimer(nIDEvent);
        return;
    }
    const BOOL bWaiting = m_barPosition == xtpBarFloating && m_bVisible && !IsWindowVisible();
    if (!bWaiting || ShowIfFrameInFront() || --m_nShowChecks <= 0)
        KillTimer(XTP_TID_SHOWFLOATING);
}

BOOL CXTPToolBar::OnNcCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (!CXTPCommandBar::OnNcCreate(lpCreateStruct))
        return FALSE;
    if (lpCreateStruct->style & MFS_SYNCACTIVE)
    {
        HWND hWndTop = lpCreateStruct->hwndParent;
        while (hWndTop != NULL && (::GetWindowLong(hWndTop, GWL_STYLE) & WS_CHILD))
            hWndTop = ::GetParent(hWndTop);
        HWND hWndForeground = ::GetForegroundWindow();
        BOOL bActive = hWndTop != NULL &&
                       (hWndForeground == hWndTop || hWndForeground == ::GetLastActivePopup(hWndTop));
        SendMessage(WM_FLOATSTATUS, bActive ? FS_ACTIVATE : FS_DEACTIVATE);
    }
    return TRUE;
}

int CXTPToolBar::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message)
{
    if (m_barPosition == xtpBarFloating || IsCustomizeMode())
        return MA_NOACTIVATE;
    HWND hWndFocus = ::GetFocus();
    CWnd* pFocus = hWndFocus != NULL ? CWnd::FromHandlePermanent(hWndFocus) : NULL;
    if (pFocus != NULL && pFocus->GetParentFrame() != NULL &&
        pFocus->GetParentFrame()->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)) && IsTopParentActive())
        return MA_NOACTIVATE;
    return CXTPCommandBar::OnMouseActivate(pDesktopWnd, nHitTest, message);
}

void CXTPToolBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (m_barPosition == xtpBarFloating)
        LiftFloatingBar(this);
    if (m_pControls->HitTest(point) == NULL)
    {
        CXTPCommandBars* pCommandBars = GetCommandBars();
        if (pCommandBars != NULL)
            pCommandBars->ClosePopups();
        // Dragging the bar by its gripper or background belongs to the dock
        // context when there is one.
        if (m_pDockContext != NULL && (m_dwFlags & 0x1F) != 0)
        {
            ClientToScreen(&point);
            m_pDockContext->StartDrag(point);
        }
        return;
    }
    CXTPCommandBar::OnLButtonDown(nFlags, point);
}

void CXTPToolBar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    if (m_pControls->HitTest(point) == NULL && m_pDockContext != NULL)
    {
        m_pDockContext->ToggleDocking();
        return;
    }
    CXTPCommandBar::OnLButtonDblClk(nFlags, point);
}

void CXTPToolBar::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    if (m_pDockContext != NULL && nHitTest >= HTLEFT && nHitTest <= HTBOTTOMRIGHT)
    {
        CWnd* pTopParent = GetTopLevelParent();
        if (pTopParent != NULL)
            pTopParent->SetActiveWindow();
        SetWindowPos(&wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        CXTPCommandBars* pCommandBars = GetCommandBars();
        if (pCommandBars != NULL)
            pCommandBars->ClosePopups();
        m_pDockContext->StartResize((int)nHitTest, point);
        return;
    }
    CXTPCommandBar::OnNcLButtonDown(nHitTest, point);
}

LRESULT CXTPToolBar::OnNcHitTest(CPoint point)
{
    if (m_barPosition == xtpBarFloating && m_barType != xtpBarTypePopup)
    {
        CRect rcWindow;
        GetWindowRect(&rcWindow);
        CRect rcInner = rcWindow;
        rcInner.DeflateRect(3, 3);
        if (rcWindow.PtInRect(point) && !rcInner.PtInRect(point))
        {
            if (point.y < rcInner.top)
                return HTTOP;
            if (point.y >= rcInner.bottom)
                return HTBOTTOM;
            if (point.x < rcInner.left)
                return HTLEFT;
            return HTRIGHT;
        }
    }
    return CXTPCommandBar::OnNcHitTest(point);
}

BOOL CXTPToolBar::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (GetShowGripper() && m_barPosition >= xtpBarTop && m_barPosition <= xtpBarRight && GetControlCount() > 0 &&
        (m_dwFlags & 0x1F) != 0)
    {
        CSize szGripper = GetPaintManager()->DrawCommandBarGripper(NULL, this, FALSE);
        CRect rcWindow;
        GetWindowRect(&rcWindow);
        CRect rcGripper = rcWindow;
        if (IsVerticalPosition(m_barPosition))
            rcGripper.bottom = rcGripper.top + szGripper.cy;
        else
            rcGripper.right = rcGripper.left + szGripper.cx;
        CPoint pt;
        ::GetCursorPos(&pt);
        if (rcGripper.PtInRect(pt))
        {
            ::SetCursor(::LoadCursor(NULL, IDC_SIZEALL));
            return TRUE;
        }
    }
    return CXTPCommandBar::OnSetCursor(pWnd, nHitTest, message);
}

void CXTPToolBar::OnRButtonDown(UINT nFlags, CPoint point)
{
    CXTPControl* pControl = m_pControls->HitTest(point);
    if (pControl != NULL && pControl->OnRButtonDown(point))
        return;
    if (IsCustomizeMode())
    {
        CXTPCommandBar::OnRButtonDown(nFlags, point);
        return;
    }
    SetTrackingMode(FALSE);
    SetSelected(-1);
    Redraw();
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars != NULL)
    {
        CPoint ptScreen = point;
        ClientToScreen(&ptScreen);
        pCommandBars->ShowToolbarsContextMenu(this, ptScreen.x, ptScreen.y);
    }
}

void CXTPToolBar::OnSetFocus(CWnd* pOldWnd)
{
    CXTPCommandBar::OnSetFocus(pOldWnd);
    if (m_pDockContext == NULL && GetCommandBars() == NULL)
    {
        SetTrackingMode(TRUE, TRUE, TRUE);
        m_hwndFocus = pOldWnd != NULL ? pOldWnd->GetSafeHwnd() : NULL;
    }
}

int CXTPToolBar::OnHookKeyDown(UINT nChar, LPARAM lParam)
{
    if (nChar == VK_TAB && m_pDockContext == NULL && GetCommandBars() == NULL && GetParent() != NULL)
    {
        BOOL bShift = ::GetKeyState(VK_SHIFT) < 0;
        CWnd* pParent = GetParent();
        HWND hWndNext = ::GetNextDlgTabItem(pParent->GetSafeHwnd(), m_hWnd, bShift);
        SetTrackingMode(FALSE);
        if (hWndNext != NULL)
            ::SetFocus(hWndNext);
        return hookHandled;
    }
    return CXTPCommandBar::OnHookKeyDown(nChar, lParam);
}

//////////////////////////////////////////////////////////////////////////
// The customize list

void CXTPToolBar::BuildCustomizePopup(CXTPCommandBar* pPopupBar)
{
    if (pPopupBar == NULL)
        return;
    CXTPCommandBars* pCommandBars = GetCommandBars();
    CXTPControls* pOriginal = m_pControls->GetOriginalControls();
    CXTPControls* pList = pOriginal != NULL ? pOriginal->Duplicate(TRUE) : new CXTPControls();

    // Controls hidden by the user leave the bar; the merge below puts the
    // originals of every missing control back, hidden by the user.
    CXTPControl* pSelected = GetControl(m_nSelected);
    CXTPControl* pPopuped = GetControl(m_nPopuped);
    for (int i = GetControlCount() - 1; i >= 0; i--)
    {
        CXTPControl* pControl = GetControl(i);
        if ((pControl->GetHideFlags() & xtpHideCustomize) != 0 && pControl != pSelected && pControl != pPopuped)
            m_pControls->Remove(pControl);
    }

    int nBar = 0;
    for (int j = 0; j < pList->GetCount(); j++)
    {
        CXTPControl* pOrig = pList->GetAt(j);
        int nFound = -1;
        for (int k = nBar; k < GetControlCount(); k++)
        {
            CXTPControl* pControl = GetControl(k);
            if (pControl->GetID() == pOrig->GetID() && pControl->GetType() == pOrig->GetType())
            {
                nFound = k;
                break;
            }
        }
        if (nFound != -1)
        {
            nBar = nFound + 1;
            continue;
        }
        CXTPControl* pCopy = m_pControls->AddClone(pOrig, nBar, TRUE);
        pCopy->SetHideFlag(xtpHideCustomize, TRUE);
        nBar++;
    }
    pList->InternalRelease();
    // The selected and the open control (the expand button while its menu
    // builds this list) keep their places by what they are, not by their
    // old indexes: a stale index would open the expand menu again over
    // itself at the next hover, and free the menu that is open.
    m_nSelected = pSelected != NULL ? pSelected->GetIndex() : -1;
    m_nPopuped = pPopuped != NULL ? pPopuped->GetIndex() : -1;

    CXTPShortcutManager* pShortcuts = pCommandBars != NULL ? pCommandBars->GetShortcutManager() : NULL;
    for (int i = 0; i < GetControlCount(); i++)
    {
        CXTPControl* pControl = GetControl(i);
        if (pControl->IsKindOf(RUNTIME_CLASS(CControlButtonExpand)) ||
            pControl->IsKindOf(RUNTIME_CLASS(CControlButtonHide)))
            continue;
        if (pControl->GetAction() != NULL && !pControl->GetAction()->IsVisible())
            continue;
        if ((pControl->GetHideFlags() & 0xC1) != 0 || !pControl->IsCustomizeMovable())
            continue;

        CControlButtonCustomize* pEntry = new CControlButtonCustomize();
        pPopupBar->GetControls()->Add(pEntry, 0, NULL, -1, TRUE);
        pEntry->SetCaption(pControl->GetCaption());
        XTPControlType type = pControl->GetType();
        if (type >= xtpControlButton && type <= xtpControlSplitButtonPopup)
            pEntry->SetIconId(pControl->GetIconId());
        CString strShortcut = pControl->GetShortcutText();
        if (strShortcut.IsEmpty() && pShortcuts != NULL)
            pShortcuts->FindDefaultAccelerator((UINT)pControl->GetID(), strShortcut);
        pEntry->SetShortcutText(strShortcut);
        pEntry->SetChecked((pControl->GetHideFlags() & xtpHideCustomize) == 0);
        pEntry->SetCloseSubMenuOnClick(FALSE);
        pEntry->SetTarget(pControl);
    }

    if (pOriginal != NULL && m_bBuiltIn && !m_bTearOff)
    {
        CControlButtonCustomize* pReset = new CControlButtonCustomize();
        pPopupBar->GetControls()->Add(pReset, XTP_ID_CUSTOMIZE_RESET, NULL, -1, TRUE);
        pReset->SetFlags(pReset->GetFlags() | xtpFlagManualUpdate);
        pReset->SetBeginGroup(TRUE);
        pReset->SetTarget(this);
    }
}

//////////////////////////////////////////////////////////////////////////
// Copying

void CXTPToolBar::Copy(CXTPCommandBar* pCommandBar, BOOL bRecursive)
{
    CXTPCommandBar::Copy(pCommandBar, bRecursive);
    CXTPToolBar* pToolBar = DYNAMIC_DOWNCAST(CXTPToolBar, pCommandBar);
    if (pToolBar == NULL)
        return;
    m_bBuiltIn = pToolBar->m_bBuiltIn;
    m_bTearOff = pToolBar->m_bTearOff;
    m_bCloseable = pToolBar->m_bCloseable;
}

CXTPCommandBar* CXTPToolBar::Clone(BOOL bRecursive)
{
    CXTPToolBar* pToolBar = new CXTPToolBar();
    pToolBar->Copy(this, bRecursive);
    return pToolBar;
}

void CXTPToolBar::OnUpdateCmdUI(CWnd* pTarget, BOOL bDisableIfNoHndler)
{
    CXTPCommandBar::OnUpdateCmdUI(pTarget, bDisableIfNoHndler);
}
