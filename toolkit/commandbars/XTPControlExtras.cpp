// The placeholder controls, the label, check box, radio button and selector.
#include "XTPControlExtras.h"

#include "XTPCommandBar.h"
#include "XTPCommandBars.h"
#include "XTPControls.h"
#include "XTPPaintManager.h"
#include "XTPPropExchange.h"
#include "XTPResourceManager.h"
#include "XTPToolBar.h"

namespace {

// Removes the controls after pControl that fnMadeByIt says it made.
template <class TMade>
void RemoveGeneratedItems(CXTPControl* pControl, TMade fnMadeByIt)
{
    CXTPControls* pControls = pControl->GetControls();
    if (pControls == NULL)
        return;
    for (;;)
    {
        CXTPControl* pNext = pControls->GetAt(pControl->GetIndex() + 1);
        if (pNext == NULL || !fnMadeByIt(pNext))
            break;
        pControls->Remove(pNext);
    }
}

BOOL IsParentCustomizeMode(CXTPControl* pControl)
{
    CXTPCommandBars* pCommandBars = pControl->GetCommandBars();
    return pCommandBars != NULL && pCommandBars->IsCustomizeMode();
}

// Adds a generated item after the previous one: a temporary button kept out
// of the idle update, so that saved and compared controls never hold it.
CXTPControl* AddGeneratedItem(CXTPControl* pPlaceholder, int nPosition, int nID, LPCTSTR lpszCaption,
                              LPCTSTR lpszParameter = NULL, CXTPControl* pControl = NULL)
{
    CXTPControls* pControls = pPlaceholder->GetControls();
    if (pControl == NULL)
        pControl = pControls->Add(xtpControlButton, nID, lpszParameter, nPosition, TRUE);
    else
        pControl = pControls->Add(pControl, nID, lpszParameter, nPosition, TRUE);
    if (pControl == NULL)
        return NULL;
    pControl->SetFlags(pControl->GetFlags() | xtpFlagManualUpdate);
    if (lpszCaption != NULL)
        pControl->SetCaption(lpszCaption);
    return pControl;
}

// A list placeholder lands only in a menu.
BOOL AcceptsOnlyPopupDrops(CXTPCommandBar* pCommandBar)
{
    return pCommandBar != NULL && pCommandBar->GetType() == xtpBarTypePopup;
}

} // namespace

//////////////////////////////////////////////////////////////////////////
// CXTPControlWindowList

IMPLEMENT_DYNCREATE(CXTPControlWindowList, CXTPControlButton)

UINT CXTPControlWindowList::s_nFirstMDIChild = 0xFF00;

CXTPControlWindowList::CXTPControlWindowList()
{
}

CString AFX_CDECL CXTPControlWindowList::ConstructCaption(const CString& strText, int nIndex)
{
    CString strCopy;
    LPCTSTR lpsz = strText;
    // Stops at the end of the text even when it ends in a lead byte.
    while (*lpsz != '\0')
    {
        if (*lpsz == '&')
            strCopy += '&';
        if (::IsDBCSLeadByte((BYTE)*lpsz) && lpsz[1] != '\0')
        {
            strCopy += *lpsz++;
        }
        strCopy += *lpsz++;
    }

    CString strCaption;
    if (nIndex == 0)
        strCaption = strCopy;
    else if (nIndex < 10)
        strCaption.Format("&%i %s", nIndex, (LPCTSTR)strCopy);
    else if (nIndex == 10)
        strCaption.Format("1&0 %s", (LPCTSTR)strCopy);
    else
        strCaption.Format("%i %s", nIndex, (LPCTSTR)strCopy);
    return strCaption;
}

void CXTPControlWindowList::OnCalcDynamicSize(DWORD /*dwMode*/)
{
    if (m_pParent == NULL || m_pControls == NULL)
        return;
    RemoveGeneratedItems(this, [](CXTPControl* p) { return (UINT)p->GetID() >= s_nFirstMDIChild; });

    CMDIFrameWnd* pFrame = DYNAMIC_DOWNCAST(CMDIFrameWnd, m_pParent->GetSite());
    if (IsParentCustomizeMode(this) || pFrame == NULL || pFrame->m_hWndMDIClient == NULL)
    {
        SetHideFlags(0);
        return;
    }
    SetHideFlag(xtpHideGeneric, TRUE);

    HWND hWndClient = pFrame->m_hWndMDIClient;
    HWND hWndActive = (HWND)::SendMessageA(hWndClient, WM_MDIGETACTIVE, 0, 0);
    if (hWndActive != NULL)
    {
        int nActiveId = ::GetDlgCtrlID(hWndActive);
        if (nActiveId >= 32768 && nActiveId <= 32814)
            s_nFirstMDIChild = 32768;
        else if (nActiveId >= 1 && nActiveId <= 46)
            s_nFirstMDIChild = 1;
    }

    CString strPrompt;
    XTPResourceManager()->LoadString(&strPrompt, 61215);
    int nInsert = m_nIndex + 1;
    int n = 0;
    for (UINT nID = s_nFirstMDIChild; n < nMaxWindows; nID++)
    {
        HWND hWndChild = ::GetDlgItem(hWndClient, (int)nID);
        if (hWndChild == NULL)
            break;
        if (!::IsWindowVisible(hWndChild))
            continue;
        char szText[257] = {0};
        ::GetWindowTextA(hWndChild, szText, 256);
        n++;
        CXTPControl* pItem = AddGeneratedItem(this, nInsert++, (int)nID, ConstructCaption(szText, n));
        if (pItem == NULL)
            break;
        pItem->SetBeginGroup(n == 1);
        pItem->SetChecked(hWndChild == hWndActive);
        pItem->SetHelpId(61215);
        if (!strPrompt.IsEmpty())
            pItem->SetPrompt(strPrompt);
        if (n == 1 && (m_dwFlags & xtpFlagWrapRow))
            pItem->SetFlags(pItem->GetFlags() | xtpFlagWrapRow);
    }
}

BOOL CXTPControlWindowList::AcceptsCustomizeDrop(CXTPCommandBar* pCommandBar, CPoint)
{
    return AcceptsOnlyPopupDrops(pCommandBar);
}

//////////////////////////////////////////////////////////////////////////
// CXTPControlToolbars

IMPLEMENT_DYNCREATE(CXTPControlToolbars, CXTPControlButton)
XTP_IMPLEMENT_DYNCREATE_NESTED(CXTPControlToolbars, CXTPControlToolbar, CXTPControlButton)

CXTPControlToolbars::CXTPControlToolbar::CXTPControlToolbar() : m_nIndex(-1)
{
}

void CXTPControlToolbars::CXTPControlToolbar::OnExecute()
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars == NULL)
        return;
    pCommandBars->ClosePopups();
    if (pCommandBars->GetAt(m_nIndex) != NULL)
        pCommandBars->ToggleVisible(m_nIndex);
}

CXTPControl* CXTPControlToolbars::CXTPControlToolbar::Clone(BOOL bRecursive)
{
    CXTPControlToolbar* pClone = new CXTPControlToolbar();
    pClone->Copy(this, bRecursive);
    pClone->m_nIndex = m_nIndex;
    return pClone;
}

CXTPControlToolbars::CXTPControlToolbars()
{
}

int AFX_CDECL CXTPControlToolbars::CreateToolbarMenu(CXTPCommandBar* pPopupBar, int nIndex, int nID,
                                                    BOOL bCustomizeCommand, BOOL bBeginGroup)
{
    CXTPCommandBars* pCommandBars = pPopupBar != NULL ? pPopupBar->GetCommandBars() : NULL;
    if (pCommandBars == NULL)
        return 0;
    CXTPControls* pControls = pPopupBar->GetControls();
    int nAdded = 0;
    for (int i = 0; i < pCommandBars->GetCount(); i++)
    {
        CXTPToolBar* pBar = pCommandBars->GetAt(i);
        if (pBar == NULL || !pBar->IsContextMenuPresent() || !pBar->IsCloseable())
            continue;
        CXTPControlToolbar* pItem = new CXTPControlToolbar();
        pItem->m_nIndex = i;
        pControls->Add(pItem, nID, "CXTPControlToolbar", nIndex + nAdded, TRUE);
        pItem->SetFlags(pItem->GetFlags() | xtpFlagManualUpdate);
        pItem->SetCaption(CXTPControlWindowList::ConstructCaption(pBar->GetTitle(), 0));
        pItem->SetChecked(pBar->IsVisible());
        if (nAdded == 0)
            pItem->SetBeginGroup(bBeginGroup);
        nAdded++;
    }
    if (bCustomizeCommand && pCommandBars->IsCustomizable())
    {
        CXTPControl* pCustomize = pControls->Add(xtpControlButton, XTP_ID_CUSTOMIZE, NULL, nIndex + nAdded, TRUE);
        if (pCustomize != NULL)
        {
            pCustomize->SetBeginGroup(TRUE);
            nAdded++;
        }
    }
    return nAdded;
}

void CXTPControlToolbars::OnCalcDynamicSize(DWORD /*dwMode*/)
{
    if (m_pParent == NULL || m_pControls == NULL)
        return;
    RemoveGeneratedItems(this, [](CXTPControl* p) { return p->GetParameter() == "CXTPControlToolbar"; });
    if (IsParentCustomizeMode(this))
    {
        SetHideFlags(0);
        return;
    }
    SetHideFlag(xtpHideGeneric, TRUE);
    CreateToolbarMenu(m_pParent, m_nIndex + 1, m_nId, FALSE, m_bBeginGroup);
}

BOOL CXTPControlToolbars::AcceptsCustomizeDrop(CXTPCommandBar* pCommandBar, CPoint)
{
    return AcceptsOnlyPopupDrops(pCommandBar);
}

//////////////////////////////////////////////////////////////////////////
// CXTPControlOleItems

IMPLEMENT_DYNCREATE(CXTPControlOleItems, CXTPControlButton)

CXTPControlOleItems::CXTPControlOleItems()
{
}

void CXTPControlOleItems::OnCalcDynamicSize(DWORD /*dwMode*/)
{
    if (m_pParent == NULL || m_pControls == NULL)
        return;
    CXTPControl* pNext = m_pControls->GetAt(m_nIndex + 1);
    if (pNext != NULL && pNext->GetParameter() == "OLEMENUPOPUP")
        m_pControls->Remove(pNext);
    if (IsParentCustomizeMode(this))
    {
        SetHideFlags(0);
        return;
    }
    // The verbs belong to a selected item of an OLE document; the class
    // library here has no OLE documents, so there are never verbs to show.
    SetHideFlag(xtpHideGeneric, TRUE);
}

BOOL CXTPControlOleItems::AcceptsCustomizeDrop(CXTPCommandBar* pCommandBar, CPoint)
{
    return AcceptsOnlyPopupDrops(pCommandBar);
}

//////////////////////////////////////////////////////////////////////////
// CXTPControlRecentFileList

IMPLEMENT_DYNCREATE(CXTPControlRecentFileList, CXTPControlButton)

CXTPControlRecentFileList::CXTPControlRecentFileList()
{
}

CRecentFileList* CXTPControlRecentFileList::GetRecentFileList()
{
    CWinApp* pApp = AfxGetApp();
    return pApp != NULL ? pApp->m_pRecentFileList : NULL;
}

void CXTPControlRecentFileList::OnCalcDynamicSize(DWORD /*dwMode*/)
{
    CRecentFileList* pRecentFileList = GetRecentFileList();
    if (pRecentFileList == NULL || m_pParent == NULL || m_pControls == NULL)
        return;
    int nFirst = GetFirstMruID();
    int nSize = pRecentFileList->GetSize();
    RemoveGeneratedItems(this, [&](CXTPControl* p) { return p->GetID() >= nFirst && p->GetID() <= nFirst + nSize; });

    if (IsParentCustomizeMode(this))
    {
        SetHideFlags(0);
        SetEnabled(TRUE);
        return;
    }
    if (nSize <= 0 || (*pRecentFileList)[0].IsEmpty())
    {
        SetHideFlags(0);
        SetEnabled(FALSE);
        return;
    }
    SetHideFlag(xtpHideGeneric, TRUE);

    char szCurDir[MAX_PATH + 2] = {0};
    DWORD nCurDir = ::GetCurrentDirectoryA(MAX_PATH, szCurDir);
    if (nCurDir == 0 || nCurDir >= MAX_PATH)
        szCurDir[0] = '\0';
    lstrcatA(szCurDir, "\\");
    int nCurDirLen = lstrlenA(szCurDir);

    // The list's size bounds the walk, whatever the names say.
    for (int i = 0; i < nSize; i++)
    {
        CString strName;
        if (!pRecentFileList->GetDisplayName(strName, i, szCurDir, nCurDirLen, TRUE))
            break;
        CXTPControl* pItem = AddGeneratedItem(this, m_nIndex + 1 + i, nFirst + i, CXTPControlWindowList::ConstructCaption(strName, i + 1));
        if (pItem == NULL)
            break;
        if (i == 0)
        {
            pItem->SetBeginGroup(m_nIndex != 0);
            if (m_dwFlags & xtpFlagWrapRow)
                pItem->SetFlags(pItem->GetFlags() | xtpFlagWrapRow);
        }
    }
}

BOOL CXTPControlRecentFileList::AcceptsCustomizeDrop(CXTPCommandBar* pCommandBar, CPoint)
{
    return AcceptsOnlyPopupDrops(pCommandBar);
}

//////////////////////////////////////////////////////////////////////////
// CXTPControlWorkspaceActions

IMPLEMENT_DYNCREATE(CXTPControlWorkspaceActions, CXTPControlButton)

CXTPControlWorkspaceActions::CXTPControlWorkspaceActions()
{
}

void CXTPControlWorkspaceActions::OnCalcDynamicSize(DWORD /*dwMode*/)
{
    if (m_pParent == NULL || m_pControls == NULL)
        return;
    RemoveGeneratedItems(this, [](CXTPControl* p) { return p->GetID() >= 9155 && p->GetID() <= 9158; });

    CMDIFrameWnd* pFrame = DYNAMIC_DOWNCAST(CMDIFrameWnd, m_pParent->GetSite());
    CXTPTabClientTarget* pTarget =
        CXTPTabClientTarget::FromMDIClient(pFrame != NULL ? pFrame->m_hWndMDIClient : NULL);
    if (pTarget == NULL)
        return;

    SetHideFlag(xtpHideGeneric, TRUE);
    static const UINT kCommands[] = {9157, 9158, 9155, 9156};
    int nInsert = m_nIndex + 1;
    BOOL bFirst = TRUE;
    for (UINT nCommand : kCommands)
    {
        if (!pTarget->IsWorkspaceCommandEnabled(nCommand))
            continue;
        CXTPControl* pItem = AddGeneratedItem(this, nInsert++, (int)nCommand, NULL);
        if (pItem != NULL && bFirst)
            pItem->SetBeginGroup(m_bBeginGroup);
        bFirst = FALSE;
    }
}

//////////////////////////////////////////////////////////////////////////
// Label, check box, radio button

IMPLEMENT_DYNCREATE(CXTPControlLabel, CXTPControl)

CXTPControlLabel::CXTPControlLabel()
{
    m_controlType = xtpControlLabel;
    m_dwFlags = xtpFlagSkipFocus | xtpFlagManualUpdate | xtpFlagNoMovable;
}

void CXTPControlLabel::OnClick(BOOL bKeyboard, CPoint pt)
{
    if (bKeyboard || !IsCustomizeMode() || !IsCustomizeMovable())
        return;
    if (m_pParent != NULL)
    {
        m_pParent->SetPopuped(-1);
        m_pParent->SetSelected(-1);
    }
    OnCustomizeClick(pt);
}

IMPLEMENT_DYNCREATE(CXTPControlCheckBox, CXTPControlButton)

CXTPControlCheckBox::CXTPControlCheckBox()
{
    m_controlType = xtpControlCheckBox;
}

IMPLEMENT_DYNCREATE(CXTPControlRadioButton, CXTPControlButton)

CXTPControlRadioButton::CXTPControlRadioButton()
{
    m_controlType = xtpControlRadioButton;
}

//////////////////////////////////////////////////////////////////////////
// CXTPControlSelector

IMPLEMENT_DYNCREATE(CXTPControlSelector, CXTPControl)

CXTPControlSelector::CXTPControlSelector()
    : m_szItemsCount(5, 4), m_szItemsMax(12, 12), m_szSelected(0, 0), m_szItem(28, 28), m_szResult(0, 0),
      m_szItemsVisible(5, 4), m_bLockUpdate(FALSE)
{
    m_controlType = xtpControlError;
}

void CXTPControlSelector::SetItemSize(CSize sz)
{
    // A cell too small to point at would divide the grid by nothing.
    m_szItem.cx = sz.cx < (int)nMinItemSize ? (int)nDefaultItemSize : sz.cx;
    m_szItem.cy = sz.cy < (int)nMinItemSize ? (int)nDefaultItemSize : sz.cy;
}

void CXTPControlSelector::OnCalcDynamicSize(DWORD /*dwMode*/)
{
    if (!m_bLockUpdate)
    {
        m_szSelected = CSize(0, 0);
        m_szItemsVisible = m_szItemsCount;
    }
    SetSelectedSize(m_szSelected, TRUE);
}

CSize CXTPControlSelector::GetSize(CDC* /*pDC*/)
{
    return CSize(m_szItemsVisible.cx * m_szItem.cx, m_szItemsVisible.cy * m_szItem.cy);
}

void CXTPControlSelector::Draw(CDC* pDC)
{
    CXTPPaintManager* pPaintManager = GetPaintManager();
    COLORREF clrFrame = pPaintManager != NULL ? pPaintManager->GetColor(43) : ::GetSysColor(COLOR_3DSHADOW);
    COLORREF clrText = pPaintManager != NULL ? pPaintManager->GetColor(46) : ::GetSysColor(COLOR_WINDOWTEXT);
    for (int c = 0; c < m_szItemsVisible.cx; c++)
    {
        for (int r = 0; r < m_szItemsVisible.cy; r++)
        {
            CRect rcItem(m_rcControl.left + c * m_szItem.cx + 1, m_rcControl.top + r * m_szItem.cy + 1,
                         m_rcControl.left + (c + 1) * m_szItem.cx - 1, m_rcControl.top + (r + 1) * m_szItem.cy - 1);
            BOOL bSelected = c < m_szSelected.cx && r < m_szSelected.cy;
            pDC->FillSolidRect(rcItem, ::GetSysColor(bSelected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
            pDC->Draw3dRect(rcItem, clrFrame, clrFrame);
            DrawItem(pDC, rcItem, bSelected ? ::GetSysColor(COLOR_HIGHLIGHTTEXT) : clrText);
        }
    }
}

void CXTPControlSelector::SetSelectedSize(CSize szSelected, BOOL bForce)
{
    if (szSelected == m_szSelected && !bForce)
        return;
    m_szSelected = szSelected;
    RedrawParent(FALSE);
    NotifySite(XTP_SN_SELECTORSIZECHANGED);
}

void CXTPControlSelector::OnMouseMove(CPoint point)
{
    CSize szSelected(0, 0);
    for (int c = 0; c < m_szItemsVisible.cx; c++)
    {
        if (m_rcControl.left + c * m_szItem.cx < point.x)
            szSelected.cx++;
    }
    for (int r = 0; r < m_szItemsVisible.cy; r++)
    {
        if (m_rcControl.top + r * m_szItem.cy < point.y)
            szSelected.cy++;
    }
    SetSelectedSize(szSelected);
}

BOOL CXTPControlSelector::OnSetSelected(int bSelected)
{
    if (!bSelected && ::GetKeyState(VK_LBUTTON) < 0 && m_pParent != NULL && m_pParent->GetSafeHwnd() != NULL)
    {
        CPoint pt;
        ::GetCursorPos(&pt);
        m_pParent->ScreenToClient(&pt);
        CSize szVisible = m_szItemsVisible;
        if (pt.x > m_rcControl.right)
            szVisible.cx = std::min((int)((pt.x - m_rcControl.left) / m_szItem.cx + 1), (int)m_szItemsMax.cx);
        if (pt.y > m_rcControl.bottom)
            szVisible.cy = std::min((int)((pt.y - m_rcControl.top) / m_szItem.cy + 1), (int)m_szItemsMax.cy);
        if (szVisible.cx > m_szItemsVisible.cx || szVisible.cy > m_szItemsVisible.cy)
        {
            m_szItemsVisible = szVisible;
            SetSelectedSize(m_szSelected, TRUE);
            m_bLockUpdate = TRUE;
            m_pParent->OnRecalcLayout();
            m_bLockUpdate = FALSE;
            OnMouseMove(pt);
        }
        else
        {
            m_szSelected = CSize(0, 0);
        }
    }
    return CXTPControl::OnSetSelected(bSelected);
}

void CXTPControlSelector::OnLButtonUp(CPoint /*point*/)
{
    if (m_szSelected == CSize(0, 0))
        return;
    m_szResult = m_szSelected;
    OnExecute();
}

void CXTPControlSelector::Copy(CXTPControl* pControl, BOOL bRecursive)
{
    CXTPControlSelector* pSelector = DYNAMIC_DOWNCAST(CXTPControlSelector, pControl);
    if (pSelector != NULL)
    {
        m_szItemsCount = pSelector->m_szItemsCount;
        m_szItemsMax = pSelector->m_szItemsMax;
        m_szSelected = pSelector->m_szSelected;
        m_szItem = pSelector->m_szItem;
        m_szResult = pSelector->m_szResult;
        m_szItemsVisible = pSelector->m_szItemsVisible;
    }
    CXTPControl::Copy(pControl, bRecursive);
}

void CXTPControlSelector::DoPropExchange(CXTPPropExchange* pPX)
{
    CXTPControl::DoPropExchange(pPX);
    PropExchangeSize(pPX, "ItemsCount", m_szItemsCount, CSize(0, 0));
    PropExchangeSize(pPX, "ItemsMax", m_szItemsMax, CSize(0, 0));
    PropExchangeSize(pPX, "ItemSize", m_szItem, CSize(0, 0));
    if (pPX->IsLoading())
    {
        // Broken stored sizes take the defaults.
        SetItemSize(m_szItem);
        if (m_szItemsMax.cx < 1 || m_szItemsMax.cx > nMaxItems || m_szItemsMax.cy < 1 || m_szItemsMax.cy > nMaxItems)
            m_szItemsMax = CSize(12, 12);
        if (m_szItemsCount.cx < 0 || m_szItemsCount.cy < 0 || m_szItemsCount.cx > m_szItemsMax.cx ||
            m_szItemsCount.cy > m_szItemsMax.cy)
            m_szItemsCount = CSize(std::min(5L, m_szItemsMax.cx), std::min(4L, m_szItemsMax.cy));
        m_szItemsVisible = m_szItemsCount;
    }
}
