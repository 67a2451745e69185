// The command-bar control base: identity, texts, states, execution, the
// button-press loop, selection, customisation and accessibility.
#include "XTPControl.h"
#include "XTPCustomizeDragTracker.h"
#include "XTPControls.h"
#include "XTPDrawHelpers.h"
#include "XTPControlAction.h"
#include "XTPCommandBar.h"
#include "XTPCommandBars.h"
#include "XTPPopupBar.h"
#include "XTPControlPopup.h"
#include "XTPPaintManager.h"
#include "XTPImageManager.h"
#include "XTPResourceManager.h"
#include "XTPSoundManager.h"

IMPLEMENT_DYNCREATE(CXTPControl, CCmdTarget)

LONG CXTPControl::s_nInstanceCount = 0;

void CXTPControl::CDocTemplateMap::Copy(const CDocTemplateMap& map)
{
    RemoveAll();
    POSITION pos = map.GetStartPosition();
    while (pos != NULL)
    {
        UINT nKey;
        BOOL bValue;
        map.GetNextAssoc(pos, nKey, bValue);
        SetAt(nKey, bValue);
    }
}

BOOL CXTPControl::CDocTemplateMap::IsEqual(const CDocTemplateMap& map) const
{
    if (GetCount() != map.GetCount())
        return FALSE;
    POSITION pos = map.GetStartPosition();
    while (pos != NULL)
    {
        UINT nKey;
        BOOL bValue, bOther;
        map.GetNextAssoc(pos, nKey, bValue);
        if (!Lookup(nKey, bOther))
            return FALSE;
    }
    return TRUE;
}

CXTPControl::CXTPControl()
    : m_nTag(0)
    , m_nIndex(0)
    , m_nId(0)
    , m_nIconId(0)
    , m_nHelpId(0)
    , m_nCustomIconId(0)
    , m_bWrap(FALSE)
    , m_bBeginGroup(FALSE)
    , m_bEnabled(TRUE)
    , m_bChecked(0)
    , m_nSelected(0)
    , m_nPressed(0)
    , m_bTemporary(FALSE)
    , m_bExpanded(FALSE)
    , m_rcRow(0, 0, 0, 0)
    , m_rcControl(0, 0, 0, 0)
    , m_dwHideFlags(0)
    , m_dwFlags(0)
    , m_pControls(NULL)
    , m_controlType(xtpControlError)
    , m_pParent(NULL)
    , m_bDefaultItem(FALSE)
    , m_buttonStyle(xtpButtonAutomatic)
    , m_nCustomStyle(-1)
    , m_nInheritedStyle(xtpButtonAutomatic)
    , m_bCloseSubMenuOnClick(TRUE)
    , m_pAction(NULL)
    , m_nWidth(0)
    , m_nHeight(0)
    , m_nExecuteOnPressInterval(0)
    , m_pRibbonGroup(NULL)
{
    EnableAutomation();
    InterlockedIncrement(&s_nInstanceCount);
}

CXTPControl::~CXTPControl()
{
    if (m_pAction != NULL)
        m_pAction->RemoveControl(this);
    m_pAction = NULL;
    InterlockedDecrement(&s_nInstanceCount);
}

//////////////////////////////////////////////////////////////////////////
// Effective values

CString CXTPControl::GetCaption() const
{
    if (!m_strCustomCaption.IsEmpty())
        return m_strCustomCaption;
    if (!m_strCaption.IsEmpty())
        return m_strCaption;
    if (m_pAction != NULL)
    {
        if (!m_pAction->GetCaption().IsEmpty())
            return m_pAction->GetCaption();
        return m_pAction->GetTooltip();
    }
    return CString();
}

CString CXTPControl::GetDescription() const
{
    if (!m_strDescriptionText.IsEmpty() || m_pAction == NULL)
        return m_strDescriptionText;
    return m_pAction->GetDescription();
}

CString CXTPControl::GetTooltip(LPPOINT, LPRECT, INT_PTR*) const
{
    if (!m_strTooltipText.IsEmpty() || m_pAction == NULL)
        return m_strTooltipText;
    return m_pAction->GetTooltip();
}

CString CXTPControl::GetShortcutText() const
{
    if (!m_strShortcutText.IsEmpty())
        return m_strShortcutText;
    if (m_pAction != NULL && !m_pAction->GetShortcutText().IsEmpty())
        return m_pAction->GetShortcutText();
    return m_strShortcutTextAuto;
}

void CXTPControl::SetShortcutText(LPCTSTR lpszShortcutText)
{
    if (m_strShortcutText == lpszShortcutText)
        return;
    m_strShortcutText = lpszShortcutText;
    DelayLayoutParent();
}

int CXTPControl::GetIconId() const
{
    if (m_nCustomIconId != 0)
        return m_nCustomIconId;
    if (m_nIconId > 0)
        return m_nIconId;
    if (m_pAction != NULL)
        return m_pAction->GetIconId() >= 1 ? m_pAction->GetIconId() : m_pAction->GetID();
    return m_nId;
}

void CXTPControl::SetIconId(int nId)
{
    if (m_nIconId == nId)
        return;
    m_nIconId = nId;
    RedrawParent(FALSE);
}

void CXTPControl::SetCustomIconId(int nId)
{
    if (m_nCustomIconId == nId)
        return;
    m_nCustomIconId = nId;
    RedrawParent(FALSE);
}

XTPButtonStyle CXTPControl::GetStyle() const
{
    XTPButtonStyle style = xtpButtonAutomatic;
    if (m_nCustomStyle != -1)
        style = (XTPButtonStyle)m_nCustomStyle;
    else if (m_buttonStyle != xtpButtonAutomatic)
        style = m_buttonStyle;
    else if (m_nInheritedStyle != xtpButtonAutomatic)
        style = m_nInheritedStyle;
    else if (m_pParent != NULL)
        style = m_pParent->GetDefaultButtonStyle();
    return style;
}

XTPButtonStyle CXTPControl::GetShownStyle() const
{
    XTPButtonStyle style = GetStyle();
    return m_pParent != NULL ? m_pParent->GetControlStyle(this, style) : style;
}

void CXTPControl::SetStyle(XTPButtonStyle style)
{
    if (m_buttonStyle == style)
        return;
    m_buttonStyle = style;
    DelayLayoutParent();
}

int CXTPControl::GetEnabled() const
{
    if (m_bEnabled != -1)
        return m_bEnabled;
    return m_pAction != NULL ? m_pAction->GetEnabled() : TRUE;
}

void CXTPControl::SetEnabled(BOOL bEnabled)
{
    if (m_bEnabled == bEnabled)
        return;
    m_bEnabled = bEnabled;
    RedrawParent(TRUE);
}

int CXTPControl::GetChecked() const
{
    if (m_bChecked != -1)
        return m_bChecked;
    return m_pAction != NULL ? m_pAction->GetChecked() : 0;
}

void CXTPControl::SetChecked(int nChecked)
{
    if (m_bChecked == nChecked)
        return;
    m_bChecked = nChecked;
    RedrawParent(TRUE);
}

void CXTPControl::SetExpanded(BOOL bExpanded)
{
    m_bExpanded = bExpanded;
    if (!bExpanded)
        m_dwHideFlags &= ~(DWORD)xtpHideExpand;
}

BOOL CXTPControl::IsVisible(DWORD dwSkipFlags) const
{
    if (m_pAction != NULL && !m_pAction->IsVisible())
        return FALSE;
    return (m_dwHideFlags & ~dwSkipFlags) == 0;
}

BOOL CXTPControl::IsFirstOnBar() const
{
    // Index 0 alone is not enough: a toolbar the user made before may keep
    // its expand button in front of the commands dropped onto it. The bar's
    // own expand and hide buttons are not commands of the bar.
    if (m_pControls == NULL)
        return m_nIndex == 0;
    for (int i = 0; i < m_nIndex && i < m_pControls->GetCount(); i++)
    {
        CXTPControl* pControl = m_pControls->GetAt(i);
        if (pControl->GetID() == XTP_ID_TOOLBAR_EXPAND || pControl->GetID() == XTP_ID_TOOLBAR_HIDE)
            continue;
        // Hidden only for the moment (no room, scrolled away, rarely used
        // in a short menu), a control still stands on the bar.
        if (pControl->IsVisible(xtpHideWrap | xtpHideScroll | xtpHideExpand))
            return FALSE;
    }
    return TRUE;
}

BOOL CXTPControl::SetHideFlags(DWORD dwFlags)
{
    if (m_dwHideFlags == dwFlags)
        return FALSE;
    m_dwHideFlags = dwFlags;
    return TRUE;
}

void CXTPControl::SetHideFlag(DWORD dwFlag, BOOL bSet)
{
    SetHideFlags(bSet ? (m_dwHideFlags | dwFlag) : (m_dwHideFlags & ~dwFlag));
}

void CXTPControl::SetVisible(BOOL bVisible)
{
    DWORD dwFlags = bVisible ? (m_dwHideFlags & ~(DWORD)xtpHideGeneric) : (m_dwHideFlags | xtpHideGeneric);
    if (SetHideFlags(dwFlags))
        DelayLayoutParent();
}

void CXTPControl::SetBeginGroup(BOOL bBeginGroup)
{
    if (m_bBeginGroup == bBeginGroup)
        return;
    m_bBeginGroup = bBeginGroup;
    DelayLayoutParent();
}

void CXTPControl::SetRect(CRect rcControl)
{
    m_rcControl = rcControl;
}

void CXTPControl::SetWidth(int nWidth)
{
    if (m_nWidth == nWidth)
        return;
    m_nWidth = nWidth;
    DelayLayoutParent();
}

void CXTPControl::SetHeight(int nHeight)
{
    if (m_nHeight == nHeight)
        return;
    m_nHeight = nHeight;
    DelayLayoutParent();
}

//////////////////////////////////////////////////////////////////////////
// Texts

void CXTPControl::SetCaption(LPCTSTR lpszCaption)
{
    CString strCaption(lpszCaption);
    CString strShortcut;
    int nTab = strCaption.Find('\t');
    if (nTab != -1)
    {
        strShortcut = strCaption.Mid(nTab + 1);
        strCaption = strCaption.Left(nTab);
    }
    if (m_strCaption == strCaption && m_strShortcutTextAuto == strShortcut)
        return;
    m_strCaption = strCaption;
    m_strShortcutTextAuto = strShortcut;
    DelayLayoutParent();
}

void CXTPControl::SetCustomCaption(LPCTSTR lpszCaption)
{
    if (m_strCustomCaption == lpszCaption)
        return;
    m_strCustomCaption = lpszCaption;
    DelayLayoutParent();
}

void CXTPControl::SetPrompt(LPCTSTR lpszPrompt)
{
    CString strPrompt(lpszPrompt);
    if (strPrompt.IsEmpty())
        return;

    CString strCaption;
    int nLineFeed = strPrompt.Find('\n');
    if (nLineFeed != -1)
    {
        AfxExtractSubString(m_strTooltipText, strPrompt, 1, '\n');
        m_strDescriptionText = strPrompt.Left(nLineFeed);
        if (!AfxExtractSubString(strCaption, strPrompt, 2, '\n'))
            strCaption.Empty();
    }
    else
    {
        m_strTooltipText = strPrompt;
        m_strDescriptionText = strPrompt;
    }
    if (m_strCaption.IsEmpty())
        m_strCaption = strCaption.IsEmpty() ? m_strTooltipText : strCaption;
}

void CXTPControl::LoadPromptTips()
{
    CString strPrompt;
    if (m_nId <= 0 || !XTPResourceManager()->LoadString(&strPrompt, (UINT)m_nId))
        return;
    CString strCaption = m_strCaption;
    SetPrompt(strPrompt);
    m_strCaption = strCaption;
}

void CXTPControl::SetID(int nId)
{
    if (m_nId == nId)
        return;
    CString strPrompt;
    if (nId > 0 && XTPResourceManager()->LoadString(&strPrompt, (UINT)nId))
        SetPrompt(strPrompt);
    m_nId = nId;
}

//////////////////////////////////////////////////////////////////////////
// Relations

CXTPCommandBars* CXTPControl::GetCommandBars() const
{
    if (m_pParent != NULL)
        return m_pParent->GetCommandBars();
    if (m_pControls != NULL)
        return m_pControls->GetCommandBars();
    return NULL;
}

CXTPPaintManager* CXTPControl::GetPaintManager() const
{
    if (m_pParent != NULL)
        return m_pParent->GetPaintManager();
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars != NULL)
        return pCommandBars->GetPaintManager();
    return CXTPPaintManager::GetGlobalPaintManager();
}

CXTPImageManager* CXTPControl::GetImageManager() const
{
    if (m_pParent != NULL)
        return m_pParent->GetImageManager();
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars != NULL)
        return pCommandBars->GetImageManager();
    return XTPImageManager();
}

BOOL CXTPControl::IsCustomizeMode() const
{
    return m_pParent != NULL && m_pParent->IsCustomizeMode();
}

BOOL CXTPControl::IsCursorOver() const
{
    if (m_pParent == NULL || m_pParent->GetSafeHwnd() == NULL)
        return FALSE;
    CPoint pt;
    ::GetCursorPos(&pt);
    m_pParent->ScreenToClient(&pt);
    return m_rcControl.PtInRect(pt);
}

void CXTPControl::DelayLayoutParent()
{
    if (m_pParent != NULL)
        m_pParent->DelayLayout();
}

void CXTPControl::RedrawParent(BOOL bAnimate)
{
    if (m_pParent == NULL || m_dwHideFlags != 0 || (m_pAction != NULL && !m_pAction->IsVisible()))
        return;
    m_pParent->Redraw(m_rcControl, bAnimate);
}

CXTPImageManagerIcon* CXTPControl::GetImage(int nWidth) const
{
    int nIconId = GetIconId();
    if (nIconId <= 0)
        return NULL;
    CXTPImageManager* pImageManager = GetImageManager();
    return pImageManager != NULL ? pImageManager->GetImage((UINT)nIconId, nWidth) : NULL;
}

//////////////////////////////////////////////////////////////////////////
// Measuring and drawing

CSize CXTPControl::GetSize(CDC* pDC)
{
    CXTPPaintManager* pPaintManager = GetPaintManager();
    return pPaintManager != NULL ? pPaintManager->DrawControl(pDC, this, FALSE) : CSize(0, 0);
}

void CXTPControl::Draw(CDC* pDC)
{
    CXTPPaintManager* pPaintManager = GetPaintManager();
    if (pPaintManager != NULL)
        pPaintManager->DrawControl(pDC, this, TRUE);
}

BOOL CXTPControl::IsCaptionVisible() const
{
    if (m_pParent != NULL && m_pParent->GetType() == xtpBarTypePopup)
        return TRUE;
    if (GetCaption().IsEmpty())
        return FALSE;

    switch (GetShownStyle())
    {
    case xtpButtonCaption:
    case xtpButtonIconAndCaption:
    case xtpButtonIconAndCaptionBelow:
    case xtpButtonCaptionAndDescription:
        return TRUE;
    case xtpButtonIcon:
        return FALSE;
    default:
        break;
    }

    switch (m_controlType)
    {
    case xtpControlButton:
    case xtpControlButtonPopup:
    case xtpControlSplitButtonPopup:
    {
        int nWidth = m_pParent != NULL ? m_pParent->GetIconSize().cx : 16;
        return GetImage(nWidth) == NULL;
    }
    case xtpControlPopup:
    case xtpControlLabel:
    case xtpControlCheckBox:
    case xtpControlRadioButton:
        return TRUE;
    default:
        return FALSE;
    }
}

//////////////////////////////////////////////////////////////////////////
// Comparing and copying

BOOL CXTPControl::Compare(CXTPControl* pOther)
{
    if (pOther == NULL)
        return FALSE;
    return GetStyle() == pOther->GetStyle() && m_controlType == pOther->m_controlType && m_nId == pOther->m_nId &&
           m_dwFlags == pOther->m_dwFlags && m_bBeginGroup == pOther->m_bBeginGroup &&
           GetIconId() == pOther->GetIconId() && m_strCaption == pOther->m_strCaption &&
           m_strTooltipText == pOther->m_strTooltipText && m_strDescriptionText == pOther->m_strDescriptionText &&
           m_strCustomCaption == pOther->m_strCustomCaption && m_nCustomStyle == pOther->m_nCustomStyle &&
           m_strParameter == pOther->m_strParameter &&
           (m_dwHideFlags & xtpHideCustomize) == (pOther->m_dwHideFlags & xtpHideCustomize) &&
           m_nWidth == pOther->m_nWidth;
}

void CXTPControl::Copy(CXTPControl* pControl, BOOL)
{
    if (pControl == NULL || pControl == this)
        return;
    m_nId = pControl->m_nId;
    SetAction(pControl->m_pAction);
    m_nTag = pControl->m_nTag;
    m_dwFlags = pControl->m_dwFlags;
    m_controlType = pControl->m_controlType;
    m_strCaption = pControl->m_strCaption;
    m_strShortcutText = pControl->m_strShortcutText;
    m_strShortcutTextAuto = pControl->m_strShortcutTextAuto;
    m_strTooltipText = pControl->m_strTooltipText;
    m_strDescriptionText = pControl->m_strDescriptionText;
    m_strParameter = pControl->m_strParameter;
    m_nIconId = pControl->m_nIconId;
    m_nHelpId = pControl->m_nHelpId;
    m_nCustomIconId = pControl->m_nCustomIconId;
    m_bTemporary = pControl->m_bTemporary;
    m_strCustomCaption = pControl->m_strCustomCaption;
    m_strCategory = pControl->m_strCategory;
    m_dwHideFlags = pControl->m_dwHideFlags;
    m_bDefaultItem = pControl->m_bDefaultItem;
    m_bEnabled = pControl->m_bEnabled;
    m_bChecked = pControl->m_bChecked;
    m_nCustomStyle = pControl->m_nCustomStyle;
    m_buttonStyle = pControl->m_buttonStyle;
    m_nHeight = pControl->m_nHeight;
    m_bBeginGroup = pControl->m_bBeginGroup;
    m_bCloseSubMenuOnClick = pControl->m_bCloseSubMenuOnClick;
    m_nExecuteOnPressInterval = pControl->m_nExecuteOnPressInterval;
    m_mapDocTemplatesAssigned.Copy(pControl->m_mapDocTemplatesAssigned);
    m_mapDocTemplatesExcluded.Copy(pControl->m_mapDocTemplatesExcluded);
    m_nWidth = std::max(pControl->m_nWidth, GetCustomizeMinWidth());
}

CXTPControl* CXTPControl::Clone(BOOL bRecursive)
{
    CXTPControl* pControl = (CXTPControl*)GetRuntimeClass()->CreateObject();
    if (pControl == NULL)
        return NULL;
    pControl->Copy(this, bRecursive);
    return pControl;
}

void CXTPControl::SetAction(CXTPControlAction* pAction)
{
    if (m_pAction == pAction)
        return;
    if (m_pAction != NULL)
        m_pAction->RemoveControl(this);
    m_pAction = pAction;
    if (pAction != NULL)
        pAction->AddControl(this);
}

void CXTPControl::OnRemoved()
{
    SetAction(NULL);
}

//////////////////////////////////////////////////////////////////////////
// Execution

// Closes the menus of the root bar: a popup running its own loop leaves
// tracking; otherwise every popup of the command bars (or of the thread) closes.
static void CloseMenusOf(CXTPCommandBar* pRoot, CXTPCommandBars* pCommandBars)
{
    CXTPPopupBar* pRootPopup = DYNAMIC_DOWNCAST(CXTPPopupBar, pRoot);
    if (pRootPopup != NULL && pRootPopup->IsOwnLoop())
        pRootPopup->SetTrackingMode(FALSE);
    else if (pCommandBars != NULL)
        pCommandBars->ClosePopups();
    else
        XTPMouseManager()->CloseAllTracked();
}

LRESULT CXTPControl::NotifySite(CWnd* pSite, UINT code, NMXTPCONTROL* pNM)
{
    if (pSite == NULL && m_pParent != NULL)
        pSite = m_pParent->GetOwnerSite();
    if (pSite == NULL || pNM == NULL || pSite->GetSafeHwnd() == NULL)
        return 0;

    pNM->hdr.hwndFrom = NULL;
    pNM->hdr.idFrom = (UINT_PTR)m_nId;
    pNM->hdr.code = code;
    pNM->pControl = this;

    LRESULT lResult = pSite->SendMessage(WM_XTP_COMMAND, (WPARAM)m_nId, (LPARAM)pNM);
    if (lResult == 0 && m_pParent != NULL)
    {
        LRESULT lHandler = 0;
        AFX_NOTIFY notify;
        notify.pResult = &lHandler;
        notify.pNMHDR = &pNM->hdr;
        if (pSite->OnCmdMsg((UINT)m_nId, MAKELONG(code, WM_NOTIFY), &notify, NULL))
            return lHandler;
    }
    return lResult;
}

LRESULT CXTPControl::NotifySite(UINT code)
{
    NMXTPCONTROL nm;
    ZeroMemory(&nm, sizeof(nm));
    return NotifySite(NULL, code, &nm);
}

BOOL AFX_CDECL XTPDeliverCommand(CWnd* pSite, UINT nID)
{
    if (pSite == NULL || pSite->GetSafeHwnd() == NULL)
        return FALSE;
    if (XTPKeyboardManager()->IsInKeyboardHook())
        return pSite->PostMessage(WM_COMMAND, (WPARAM)nID, 0);
    pSite->SendMessage(WM_COMMAND, (WPARAM)nID, 0);
    return FALSE;
}

BOOL CXTPControl::ExecuteCommand()
{
    if (m_nId == 0 || NotifySite(CBN_XTP_EXECUTE) != 0 || m_pParent == NULL)
        return FALSE;
    return XTPDeliverCommand(m_pParent->GetOwnerSite(), (UINT)m_nId);
}

void CXTPControl::OnExecute()
{
    XTPSoundManager()->PlaySystemSound(xtpSoundMenuCommand);
    m_nPressed = (m_pParent != NULL && m_pParent->GetPosition() != xtpBarPopup) ? 2 : 0;

    CXTPCommandBar* pRoot = m_pParent != NULL ? m_pParent->GetRootParent() : NULL;
    CXTPCommandBars* pCommandBars = GetCommandBars();

    // A popup shown to return the chosen id: close it and hand the id back.
    CXTPPopupBar* pRootPopup = DYNAMIC_DOWNCAST(CXTPPopupBar, pRoot);
    if (pRootPopup != NULL && pRootPopup->GetReturnCmd() != NULL)
    {
        UINT* pReturnCmd = pRootPopup->GetReturnCmd();
        CloseMenusOf(pRoot, pCommandBars);
        *pReturnCmd = (UINT)m_nId;
        return;
    }

    if (pCommandBars != NULL)
    {
        if (m_nId != 0 && pCommandBars->IsCommandHidden((UINT)m_nId))
            pCommandBars->SetCommandUsed((UINT)m_nId);
        CXTPPopupBar* pParentPopup = DYNAMIC_DOWNCAST(CXTPPopupBar, m_pParent);
        if (pParentPopup != NULL && pParentPopup->GetControlPopup() != NULL)
        {
            UINT nPopupId = (UINT)pParentPopup->GetControlPopup()->GetID();
            if (nPopupId != 0 && pCommandBars->IsCommandHidden(nPopupId))
                pCommandBars->SetCommandUsed(nPopupId);
        }
    }

    // The command may destroy the bars; the reference keeps this control.
    InternalAddRef();

    if (m_bCloseSubMenuOnClick && pRoot != NULL)
        CloseMenusOf(pRoot, pCommandBars);

    if (m_nId != 0)
    {
        BOOL bPosted = ExecuteCommand();
        if (!(m_bCloseSubMenuOnClick && m_nPressed == 0))
        {
            m_nPressed = 0;
            if (m_pParent != NULL)
            {
                // A posted command has not run yet: the idle pass after it
                // brings the bar's states up to date.
                if (!bPosted)
                    m_pParent->OnIdleUpdate();
                RedrawParent(TRUE);
            }
        }
    }

    InternalRelease();
}

void CXTPControl::TrackPress(CRect rcTrack)
{
    CXTPCommandBar* pParent = m_pParent;
    if (pParent == NULL || pParent->GetSafeHwnd() == NULL)
        return;
    if (rcTrack.IsRectEmpty())
        rcTrack = m_rcControl;

    InternalAddRef();
    pParent->SetSelected(m_nIndex);
    m_nPressed = 1;
    RedrawParent(FALSE);

    HWND hWndParent = pParent->GetSafeHwnd();
    ::SetCapture(hWndParent);
    BOOL bRepeat = m_nExecuteOnPressInterval > 0;
    if (bRepeat)
    {
        ::SetTimer(hWndParent, XTP_TID_EXECUTEONPRESS, (UINT)m_nExecuteOnPressInterval, NULL);
        ExecuteCommand();
    }

    BOOL bReleased = FALSE;
    BOOL bInside = TRUE;
    while (m_pParent != NULL && ::IsWindow(hWndParent) && ::GetCapture() == hWndParent)
    {
        MSG msg;
        if (!::GetMessage(&msg, NULL, 0, 0))
        {
            // A quit that arrives during the press still ends the program.
            ::PostQuitMessage((int)msg.wParam);
            break;
        }
        if (msg.message == WM_LBUTTONUP)
        {
            CPoint pt((short)LOWORD(msg.lParam), (short)HIWORD(msg.lParam));
            if (msg.hwnd != hWndParent)
                ::MapWindowPoints(msg.hwnd, hWndParent, &pt, 1);
            bInside = IsPressHit(pt, rcTrack);
            bReleased = TRUE;
            break;
        }
        if (msg.message == WM_TIMER && msg.hwnd == hWndParent && msg.wParam == XTP_TID_EXECUTEONPRESS)
        {
            if (m_nSelected != 0)
                ExecuteCommand();
            continue;
        }
        if (msg.message == WM_MOUSEMOVE)
        {
            CPoint pt((short)LOWORD(msg.lParam), (short)HIWORD(msg.lParam));
            if (msg.hwnd != hWndParent)
                ::MapWindowPoints(msg.hwnd, hWndParent, &pt, 1);
            BOOL bHit = IsPressHit(pt, rcTrack);
            bInside = bHit;
            int nPressed = bHit ? 1 : 0;
            if (nPressed != m_nPressed)
            {
                m_nPressed = nPressed;
                RedrawParent(FALSE);
            }
            continue;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }

    if (::IsWindow(hWndParent))
        ::KillTimer(hWndParent, XTP_TID_EXECUTEONPRESS);

    BOOL bClick = bReleased && m_nSelected != 0 && bInside;
    BOOL bOnPopup = m_pParent == NULL || m_pParent->GetPosition() == xtpBarPopup;
    m_nPressed = (!bRepeat && bClick && !bOnPopup) ? 2 : 0;

    if (::GetCapture() == hWndParent)
        ::ReleaseCapture();
    if (m_nSelected != 0 && m_pParent != NULL)
    {
        m_pParent->SetSelected(-1);
        m_pParent->m_nLastStatusControl = m_nIndex;
    }

    if (bClick && !bRepeat)
    {
        OnExecute();
        if (m_nPressed == 0)
        {
            InternalRelease();
            return;
        }
        m_nPressed = 0;
    }
    RedrawParent(TRUE);
    InternalRelease();
}

//////////////////////////////////////////////////////////////////////////
// Mouse and selection

BOOL CXTPControl::OnLButtonDblClk(CPoint point)
{
    OnClick(FALSE, point);
    return TRUE;
}

void CXTPControl::OnMouseHover()
{
    if (m_pParent == NULL)
        return;
    CXTPCommandBar* pParent = m_pParent;
    if (pParent->SetPopuped(-1) && pParent->GetTrackingMode() == 2 && !pParent->IsPopupBar())
        pParent->SetTrackingMode(FALSE);
}

BOOL CXTPControl::OnSetSelected(int bSelected)
{
    if (bSelected == m_nSelected)
        return FALSE;

    if (IsKeyboardSelected(bSelected) && m_pParent != NULL)
    {
        int nPopuped = m_pParent->GetPopupedIndex();
        if (nPopuped != -1 && nPopuped != m_nIndex)
            m_pParent->SetPopuped(-1);
    }

    m_nSelected = bSelected;
    if (m_pParent != NULL)
        m_pParent->OnControlSelected(bSelected, this);

    if (!GetEnabled() && bSelected != 0 && !IsKeyboardSelected(bSelected))
        return TRUE;
    RedrawParent(bSelected == 0);
    return TRUE;
}

//////////////////////////////////////////////////////////////////////////
// Customisation

BOOL CXTPControl::IsCustomizeMovable() const
{
    if (m_pParent != NULL && m_pParent->IsCustomizable() && (m_dwFlags & xtpFlagNoMovable) == 0)
        return TRUE;
    // Otherwise only when the command bars let every control be customised.
    CXTPCommandBars* pCommandBars = GetCommandBars();
    return pCommandBars != NULL && pCommandBars->IsCustomizeAll();
}

void CXTPControl::OnKeyboardClick()
{
    if (!IsCustomizeMode())
    {
        OnClick(TRUE);
        return;
    }
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars != NULL && IsCustomizeMovable())
        pCommandBars->SetDragControl(this);
}

void CXTPControl::OnCustomizeClick(CPoint point)
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars == NULL)
        return;
    // A control its bar only lets be copied stays there whatever the drop,
    // at its size.
    const BOOL bCopyOnly = m_pParent != NULL && m_pParent->IsCustomizeCopyOnly(this);
    if (!bCopyOnly && pCommandBars->GetDragControl() == this && IsCustomizeResizeAllowed() &&
        OnCustomizeResize(point))
        return;

    CXTPControl* pPrevious = pCommandBars->GetDragControl();
    if (pPrevious != NULL)
        pPrevious->InternalAddRef();
    pCommandBars->SetDragControl(this);

    CXTPCommandBar* pParent = m_pParent;
    InternalAddRef();
    int nResult = pCommandBars->TrackCustomizeDrag(this, point, bCopyOnly);
    if (nResult == -1 || nResult == CXTPCustomizeDragTracker::dropCancelled ||
        (bCopyOnly && nResult == CXTPCustomizeDragTracker::dropNowhere))
    {
        // No drag tracker, a click without a move, a cancelled drag, or a
        // copy dropped nowhere: the click only selects this control.
    }
    else if (bCopyOnly || (nResult != 0 && nResult != 2))
    {
        // Copied elsewhere: the previous selection comes back.
        pCommandBars->SetDragControl(pPrevious);
    }
    else if (pParent != NULL && m_pControls != NULL)
    {
        pParent->SetPopuped(-1);
        pParent->SetSelected(-1);
        pCommandBars->SetDragControl(NULL);
        CXTPControls* pControls = m_pControls;
        int nIndex = m_nIndex;
        CXTPControl* pNext = pControls->GetAt(nIndex + 1);
        if (pNext != NULL)
        {
            if (m_bBeginGroup)
                pNext->SetBeginGroup(TRUE);
            else if (nIndex == 0)
                pNext->SetBeginGroup(FALSE);
        }
        pControls->Remove(this);
        pParent->OnRecalcLayout();
        pCommandBars->SetDragControl(pPrevious);
    }
    InternalRelease();
    if (pPrevious != NULL)
        pPrevious->InternalRelease();
}

// Inverts a 2-pixel frame around the rectangle (drawing it twice removes it).
static void InvertFrame(HDC hDC, const CRect& rc)
{
    if (hDC == NULL)
        return;
    HBRUSH hOld = (HBRUSH)::SelectObject(hDC, CDC::GetHalftoneBrush()->GetSafeHandle());
    ::PatBlt(hDC, rc.left, rc.top, rc.Width(), 2, PATINVERT);
    ::PatBlt(hDC, rc.left, rc.bottom - 2, rc.Width(), 2, PATINVERT);
    ::PatBlt(hDC, rc.left, rc.top + 2, 2, rc.Height() - 4, PATINVERT);
    ::PatBlt(hDC, rc.right - 2, rc.top + 2, 2, rc.Height() - 4, PATINVERT);
    ::SelectObject(hDC, hOld);
}

BOOL CXTPControl::OnCustomizeResize(CPoint point)
{
    CXTPCommandBar* pParent = m_pParent;
    if (pParent == NULL || pParent->GetSafeHwnd() == NULL)
        return FALSE;

    BOOL bLeft = abs(point.x - m_rcControl.left) <= 2;
    BOOL bRight = abs(point.x - m_rcControl.right) <= 2;
    if (!bLeft && !bRight)
        return FALSE;

    CXTPCommandBars* pCommandBars = GetCommandBars();
    CXTPControl* pSelected = pCommandBars != NULL ? pCommandBars->GetDragControl() : NULL;
    if (pSelected != NULL)
        pSelected->InternalAddRef();
    if (pCommandBars != NULL)
        pCommandBars->SetDragControl(NULL);
    pParent->UpdateWindow();

    HWND hWndParent = pParent->GetSafeHwnd();
    CRect rcWindow = m_rcControl;
    pParent->ClientToScreen(&rcWindow);
    CRect rcTrack = rcWindow;
    int nMinWidth = GetCustomizeMinWidth();

    // The frame is drawn inverted on the desktop while updates are locked.
    CWnd* pDesktop = CWnd::GetDesktopWindow();
    pDesktop->LockWindowUpdate();
    HDC hDC = ::GetDCEx(pDesktop->GetSafeHwnd(), NULL, DCX_WINDOW | DCX_CACHE | DCX_LOCKWINDOWUPDATE);
    InvertFrame(hDC, rcTrack);

    ::SetCapture(hWndParent);
    BOOL bAccept = FALSE;
    while (::GetCapture() == hWndParent)
    {
        MSG msg;
        if (!::GetMessage(&msg, NULL, 0, 0))
        {
            ::PostQuitMessage((int)msg.wParam);
            break;
        }
        if (msg.message == WM_LBUTTONUP)
        {
            bAccept = TRUE;
            break;
        }
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE)
            break;
        if (msg.message == WM_MOUSEMOVE)
        {
            CPoint pt((short)LOWORD(msg.lParam), (short)HIWORD(msg.lParam));
            ::ClientToScreen(msg.hwnd, &pt);
            CRect rcNew = rcTrack;
            if (bLeft)
                rcNew.left = std::min((int)pt.x, (int)rcNew.right - nMinWidth);
            else
                rcNew.right = std::max((int)pt.x, (int)rcNew.left + nMinWidth);
            if (rcNew != rcTrack)
            {
                InvertFrame(hDC, rcTrack);
                InvertFrame(hDC, rcNew);
            }
            rcTrack = rcNew;
            continue;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
    if (::GetCapture() == hWndParent)
        ::ReleaseCapture();

    InvertFrame(hDC, rcTrack);
    if (hDC != NULL)
        ::ReleaseDC(pDesktop->GetSafeHwnd(), hDC);
    pDesktop->UnlockWindowUpdate();

    if (bAccept && rcTrack.Width() != rcWindow.Width() && m_pParent != NULL)
    {
        int nWidth = rcTrack.Width();
        if (m_pParent->GetType() == xtpBarTypePopup && GetPaintManager() != NULL)
            nWidth -= GetPaintManager()->GetPopupBarGripperWidth(m_pParent);
        SetWidth(nWidth);
        m_pParent->OnRecalcLayout();
    }
    if (pCommandBars != NULL)
        pCommandBars->SetDragControl(pSelected);
    if (pSelected != NULL)
        pSelected->InternalRelease();
    if (m_pParent != NULL)
        m_pParent->Redraw();
    return TRUE;
}

void CXTPControl::OnCustomizeDragOver(CXTPControl*, CPoint)
{
    if (m_pParent == NULL)
        return;
    m_pParent->SetPopuped(-1);
    m_pParent->SetSelected(-1);
}

void CXTPControl::GenerateCommandBarList(DWORD& nID, CXTPCommandBarList* pCommandBarList, void* pParam)
{
    CXTPCommandBar* pBar = GetCommandBar();
    if (pBar != NULL)
        pBar->GenerateCommandBarList(nID, pCommandBarList, pParam);
}

//////////////////////////////////////////////////////////////////////////
// Accessibility

DWORD AFX_CDECL XTPQueryAccessible(CCmdTarget* pTarget, IAccessible* pAccessible, const void* iid, LPVOID* ppvObj)
{
    if (ppvObj == NULL)
        return (DWORD)E_POINTER;
    *ppvObj = NULL;
    const IID& riid = *(const IID*)iid;
    if (riid == IID_IUnknown || riid == IID_IDispatch || riid == IID_IAccessible)
    {
        *ppvObj = pAccessible;
        pTarget->ExternalAddRef();
        return S_OK;
    }
    return (DWORD)E_NOINTERFACE;
}

DWORD CXTPControl::InternalQueryInterface(const void* iid, LPVOID* ppvObj)
{
    return XTPQueryAccessible(this, GetAccessible(), iid, ppvObj);
}

LPDISPATCH CXTPControl::GetIDispatch(BOOL bAddRef)
{
    IDispatch* pDispatch = GetAccessible();
    if (bAddRef)
        pDispatch->AddRef();
    return pDispatch;
}

BOOL CXTPControl::IsAccessibleOnScreen() const
{
    if (m_pParent == NULL || m_pParent->GetSafeHwnd() == NULL || !::IsWindowVisible(m_pParent->GetSafeHwnd()))
        return FALSE;
    return m_pParent->IsVisible() && IsVisible();
}

LONG CXTPControl::GetAccessibleObjectId() const
{
    if (m_pParent == NULL || m_pParent->GetControl(m_nIndex) != this)
        return 0;
    return m_nIndex + 1;
}

HRESULT CXTPControl::GetAccessibleParent(IDispatch** ppdispParent)
{
    if (ppdispParent == NULL)
        return E_INVALIDARG;
    *ppdispParent = NULL;
    if (m_pParent == NULL)
        return E_FAIL;
    *ppdispParent = m_pParent->GetIDispatch(TRUE);
    return S_OK;
}

HRESULT CXTPControl::GetAccessibleChildCount(long* pcountChildren)
{
    if (pcountChildren == NULL)
        return E_INVALIDARG;
    *pcountChildren = GetCommandBar() != NULL ? 1 : 0;
    return S_OK;
}

HRESULT CXTPControl::GetAccessibleChild(VARIANT varChild, IDispatch** ppdispChild)
{
    if (ppdispChild == NULL)
        return E_INVALIDARG;
    *ppdispChild = NULL;
    if (GetChildIndex(&varChild) != 1 || GetCommandBar() == NULL)
        return E_INVALIDARG;
    *ppdispChild = GetCommandBar()->GetIDispatch(TRUE);
    return S_OK;
}

HRESULT CXTPControl::GetAccessibleName(VARIANT varChild, BSTR* pszName)
{
    if (pszName == NULL)
        return E_INVALIDARG;
    if (GetChildIndex(&varChild) != CHILDID_SELF)
        return E_INVALIDARG;
    // A caption of marks alone names nothing.
    CString strName = GetCaption();
    CXTPDrawHelpers::StripMnemonics(strName);
    if (strName.IsEmpty())
        strName = GetTooltip();
    else if (!GetShortcutText().IsEmpty())
        strName += _T("\t") + GetShortcutText();
    *pszName = strName.AllocSysString();
    return S_OK;
}

BOOL CXTPControl::IsAccessibleNameMnemonic(VARIANT)
{
    CString strCaption = GetCaption();
    CXTPDrawHelpers::StripMnemonics(strCaption);
    return strCaption.IsEmpty();
}

HRESULT CXTPControl::GetAccessibleDescription(VARIANT varChild, BSTR* pszDescription)
{
    if (pszDescription == NULL)
        return E_INVALIDARG;
    if (GetChildIndex(&varChild) != CHILDID_SELF)
        return E_INVALIDARG;
    *pszDescription = GetDescription().AllocSysString();
    return S_OK;
}

HRESULT CXTPControl::GetAccessibleRole(VARIANT varChild, VARIANT* pvarRole)
{
    if (pvarRole == NULL)
        return E_INVALIDARG;
    if (GetChildIndex(&varChild) != CHILDID_SELF)
        return E_INVALIDARG;
    pvarRole->vt = VT_I4;
    if (m_pParent != NULL && (m_pParent->GetType() == xtpBarTypeNormal || m_pParent->GetType() == xtpBarTypeRibbon))
        pvarRole->lVal = GetCommandBar() != NULL ? ROLE_SYSTEM_BUTTONMENU : ROLE_SYSTEM_PUSHBUTTON;
    else
        pvarRole->lVal = ROLE_SYSTEM_MENUITEM;
    return S_OK;
}

HRESULT CXTPControl::GetAccessibleState(VARIANT varChild, VARIANT* pvarState)
{
    if (pvarState == NULL)
        return E_INVALIDARG;
    if (GetChildIndex(&varChild) != CHILDID_SELF)
        return E_INVALIDARG;
    long nState = STATE_SYSTEM_FOCUSABLE;
    if (m_nSelected != 0)
        nState |= STATE_SYSTEM_FOCUSED | STATE_SYSTEM_HOTTRACKED | STATE_SYSTEM_SELECTED;
    if (!IsAccessibleOnScreen())
        nState |= STATE_SYSTEM_INVISIBLE;
    if (!GetEnabled())
        nState |= STATE_SYSTEM_UNAVAILABLE;
    if (GetChecked())
        nState |= STATE_SYSTEM_CHECKED;
    if (GetPressed())
        nState |= STATE_SYSTEM_PRESSED;
    if (GetCommandBar() != NULL)
        nState |= STATE_SYSTEM_HASPOPUP;
    pvarState->vt = VT_I4;
    pvarState->lVal = nState;
    return S_OK;
}

HRESULT CXTPControl::GetAccessibleDefaultAction(VARIANT varChild, BSTR* pszDefaultAction)
{
    if (pszDefaultAction == NULL)
        return E_INVALIDARG;
    if (GetChildIndex(&varChild) != CHILDID_SELF)
        return E_INVALIDARG;
    *pszDefaultAction = CString(_T("Click")).AllocSysString();
    return S_OK;
}

HRESULT CXTPControl::AccessibleSelect(long, VARIANT varChild)
{
    if (GetChildIndex(&varChild) != CHILDID_SELF)
        return E_INVALIDARG;
    if (m_pParent == NULL)
        return E_FAIL;
    m_pParent->SetTrackingMode(TRUE, FALSE, TRUE);
    m_pParent->SetSelected(m_nIndex, TRUE);
    return S_OK;
}

HRESULT CXTPControl::AccessibleLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight,
                                        VARIANT varChild)
{
    if (pxLeft == NULL || pyTop == NULL || pcxWidth == NULL || pcyHeight == NULL)
        return E_INVALIDARG;
    if (GetChildIndex(&varChild) != CHILDID_SELF)
        return E_INVALIDARG;
    *pxLeft = *pyTop = *pcxWidth = *pcyHeight = 0;
    if (!IsAccessibleOnScreen())
        return S_OK;
    CRect rc = m_rcControl;
    m_pParent->ClientToScreen(&rc);
    *pxLeft = rc.left;
    *pyTop = rc.top;
    *pcxWidth = rc.Width();
    *pcyHeight = rc.Height();
    return S_OK;
}

HRESULT CXTPControl::AccessibleHitTest(long xLeft, long yTop, VARIANT* pvarChild)
{
    if (pvarChild == NULL)
        return E_INVALIDARG;
    pvarChild->vt = VT_EMPTY;
    if (m_pParent == NULL || m_pParent->GetSafeHwnd() == NULL)
        return S_FALSE;
    CRect rcWindow;
    m_pParent->GetWindowRect(&rcWindow);
    if (!rcWindow.PtInRect(CPoint(xLeft, yTop)))
        return S_FALSE;
    CPoint pt(xLeft, yTop);
    m_pParent->ScreenToClient(&pt);
    if (!m_rcControl.PtInRect(pt))
        return S_FALSE;
    pvarChild->vt = VT_I4;
    pvarChild->lVal = CHILDID_SELF;
    return S_OK;
}

HRESULT CXTPControl::AccessibleDoDefaultAction(VARIANT varChild)
{
    if (GetChildIndex(&varChild) != CHILDID_SELF)
        return E_INVALIDARG;
    std::shared_ptr<CXTPControl> pControl = KeepAlive(this);
    return PostDefaultAction([pControl] {
        // A control taken off its bar meanwhile (or whose bar has gone) is
        // no longer there to click.
        if (pControl->GetParent() != NULL && pControl->GetControls() != NULL)
            pControl->OnKeyboardClick();
    });
}

BOOL CXTPControl::IsInRibbonCaption() const
{
    if (m_pParent == NULL)
        return FALSE;
    CXTPPaintManager* pPaintManager = m_pParent->GetPaintManager();
    return pPaintManager != NULL && pPaintManager->IsInRibbonCaption(m_rcControl, m_pParent);
}
