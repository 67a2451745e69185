// The bar combo box, its list bar and its edit box.
#include "XTPControlComboBox.h"

#include "XTPCommandBar.h"
#include "XTPCommandBars.h"
#include "XTPControlAction.h"
#include "XTPControls.h"
#include "XTPImageManager.h"
#include "XTPPaintManager.h"
#include "XTPPropExchange.h"
#include "XTPToolTipContext.h"

//////////////////////////////////////////////////////////////////////////
// CXTPControlComboBoxPopupBar

IMPLEMENT_DYNCREATE(CXTPControlComboBoxPopupBar, CXTPPopupBar)

CXTPControlComboBoxPopupBar::CXTPControlComboBoxPopupBar()
{
    // A drop-down list has no shadow of its own: its frame is its edge.
    m_bShowShadow = FALSE;
    m_bDynamicLayout = TRUE;
}

//////////////////////////////////////////////////////////////////////////
// CXTPControlComboBoxList

IMPLEMENT_DYNCREATE(CXTPControlComboBoxList, CXTPControlComboBoxPopupBar)

CXTPControlComboBoxList::CXTPControlComboBoxList() : m_pComboBox(NULL)
{
    m_barPosition = xtpBarListBox;
    m_dwStyle = 0;
    m_nMRUWidth = 0;
}

CXTPControlComboBoxList::~CXTPControlComboBoxList()
{
    if (m_hWnd != NULL)
        CWnd::DestroyWindow();
}

void CXTPControlComboBoxList::CreateListBox()
{
    if (m_hWnd != NULL)
        return;
    DWORD dwStyle = (m_dwStyle & ~WS_DLGFRAME) | WS_POPUP | WS_CLIPCHILDREN | WS_VSCROLL;
    if (!CWnd::CreateEx(WS_EX_CLIENTEDGE | WS_EX_TOOLWINDOW, "LISTBOX", NULL, dwStyle, CRect(0, 0, 0, 0), NULL, 0))
        ::OutputDebugStringA("CXTPControlComboBoxList: the list window cannot be created\n");
}

BOOL CXTPControlComboBoxList::DestroyWindow()
{
    // The items live in the window: it goes only with the list itself.
    if (m_hWnd != NULL)
        ShowWindow(SW_HIDE);
    return TRUE;
}

int CXTPControlComboBoxList::GetCount() const
{
    return m_hWnd != NULL ? (int)::SendMessage(m_hWnd, LB_GETCOUNT, 0, 0) : 0;
}

int CXTPControlComboBoxList::GetCurSel() const
{
    return m_hWnd != NULL ? (int)::SendMessage(m_hWnd, LB_GETCURSEL, 0, 0) : -1;
}

int CXTPControlComboBoxList::FindString(int nStartAfter, LPCTSTR lpszItem) const
{
    return m_hWnd != NULL ? (int)::SendMessage(m_hWnd, LB_FINDSTRING, (WPARAM)nStartAfter, (LPARAM)lpszItem) : -1;
}

int CXTPControlComboBoxList::FindStringExact(int nIndexStart, LPCTSTR lpszFind) const
{
    return m_hWnd != NULL ? (int)::SendMessage(m_hWnd, LB_FINDSTRINGEXACT, (WPARAM)nIndexStart, (LPARAM)lpszFind)
                          : -1;
}

int CXTPControlComboBoxList::SetTopIndex(int nIndex)
{
    return m_hWnd != NULL ? (int)::SendMessage(m_hWnd, LB_SETTOPINDEX, (WPARAM)nIndex, 0) : -1;
}

void CXTPControlComboBoxList::SetCurSel(int nIndex)
{
    if (m_hWnd != NULL)
        ::SendMessage(m_hWnd, LB_SETCURSEL, (WPARAM)nIndex, 0);
}

void CXTPControlComboBoxList::GetText(int nIndex, CString& rString) const
{
    rString.Empty();
    if (m_hWnd == NULL)
        return;
    int nLength = (int)::SendMessage(m_hWnd, LB_GETTEXTLEN, (WPARAM)nIndex, 0);
    if (nLength <= 0)
        return;
    ::SendMessage(m_hWnd, LB_GETTEXT, (WPARAM)nIndex, (LPARAM)rString.GetBuffer(nLength + 1));
    rString.ReleaseBuffer();
}

int CXTPControlComboBoxList::AddString(LPCTSTR lpszItem)
{
    CreateListBox();
    return m_hWnd != NULL ? (int)::SendMessage(m_hWnd, LB_ADDSTRING, 0, (LPARAM)lpszItem) : -1;
}

int CXTPControlComboBoxList::InsertString(int nIndex, LPCTSTR lpszItem)
{
    CreateListBox();
    return m_hWnd != NULL ? (int)::SendMessage(m_hWnd, LB_INSERTSTRING, (WPARAM)nIndex, (LPARAM)lpszItem) : -1;
}

int CXTPControlComboBoxList::DeleteString(int nIndex)
{
    return m_hWnd != NULL ? (int)::SendMessage(m_hWnd, LB_DELETESTRING, (WPARAM)nIndex, 0) : -1;
}

void CXTPControlComboBoxList::ResetContent()
{
    if (m_hWnd != NULL)
        ::SendMessage(m_hWnd, LB_RESETCONTENT, 0, 0);
}

int CXTPControlComboBoxList::GetItemHeight() const
{
    return m_hWnd != NULL ? (int)::SendMessage(m_hWnd, LB_GETITEMHEIGHT, 0, 0) : 0;
}

BOOL CXTPControlComboBoxList::Popup(CXTPControlPopup* pControlPopup, BOOL /*bSelectFirst*/)
{
    m_pControlPopup = pControlPopup;
    m_pComboBox = DYNAMIC_DOWNCAST(CXTPControlComboBox, pControlPopup);
    CreateListBox();
    if (m_hWnd == NULL || m_pComboBox == NULL)
        return FALSE;

    CXTPPaintManager* pPaintManager = m_pComboBox->GetPaintManager();
    if (pPaintManager != NULL)
        SendMessage(WM_SETFONT, (WPARAM)pPaintManager->GetControlFont()->GetSafeHandle(), FALSE);

    CXTPCommandBar* pParent = m_pComboBox->GetParent();
    CWnd* pSite = pParent != NULL ? pParent->GetOwnerSite() : NULL;
    if (pSite != NULL && pSite->GetSafeHwnd() != NULL)
        pSite->SendMessage(WM_XTP_INITCOMMANDSPOPUP, 0, (LPARAM)this);

    CXTPCommandBars* pCommandBars = m_pComboBox->GetCommandBars();
    if (pCommandBars != NULL && pCommandBars->IsLayoutRTL())
        ModifyStyleEx(WS_EX_LAYOUTRTL, WS_EX_RIGHT | WS_EX_RTLREADING | WS_EX_LEFTSCROLLBAR);
    else
        ModifyStyleEx(WS_EX_RIGHT | WS_EX_RTLREADING | WS_EX_LEFTSCROLLBAR, 0);

    SetTrackingMode(TRUE, FALSE, FALSE);

    int nRows = m_pComboBox->GetDropDownItemCount();
    int nCount = GetCount();
    if (nRows > nCount)
        nRows = nCount;
    if (nRows < 1)
        nRows = 1;
    CSize size(m_nMRUWidth, nRows * GetItemHeight() + 4);
    if (size.cx < 1)
        size.cx = m_pComboBox->GetRect().Width();

    // The popup bar's placement gives the place; the list keeps its size.
    UpdateFlags();
    CRect rc = CalcPopupRect(size);
    SetWindowPos(&wndTopMost, rc.left, rc.top, size.cx, size.cy, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    EnableWindow(TRUE);
    return TRUE;
}

CSize CXTPControlComboBoxList::CalcDynamicLayout(int /*nLength*/, DWORD /*dwMode*/)
{
    CRect rc(0, 0, 0, 0);
    if (m_hWnd != NULL)
        GetWindowRect(&rc);
    return rc.Size();
}

BOOL CXTPControlComboBoxList::SetTrackingMode(int bMode, BOOL bSelectFirst, BOOL bKeyboard)
{
    // The base bar's tracking: the popup bar's closing would destroy the
    // window, and with it the items.
    BOOL bWasTracking = m_bTracking != 0;
    CXTPCommandBar::SetTrackingMode(bMode, bSelectFirst, bKeyboard);
    m_bTracking = bMode;
    if (bWasTracking == (bMode != 0))
        return FALSE;

    CXTPControlComboBox* pComboBox = m_pComboBox;
    if (pComboBox != NULL)
        pComboBox->OnListTrackingModeChanged(bMode);
    if (!bMode)
    {
        if (m_hWnd != NULL)
            ShowWindow(SW_HIDE);
        if (pComboBox != NULL && pComboBox->GetParent() != NULL)
            pComboBox->GetParent()->SetPopuped(-1);
        m_pComboBox = NULL;
        m_pControlPopup = NULL;
    }
    return TRUE;
}

int CXTPControlComboBoxList::OnHookKeyDown(UINT nChar, LPARAM lParam)
{
    CXTPControlComboBox* pComboBox = m_pComboBox;
    if (pComboBox == NULL)
        return 0;
    switch (nChar)
    {
    case VK_ESCAPE:
        if (pComboBox->IsFocused())
            return pComboBox->OnHookKeyDown(nChar, lParam);
        SetTrackingMode(FALSE);
        return 1;
    case VK_TAB:
        return 0;
    case VK_RETURN:
        pComboBox->OnExecute();
        return 1;
    default:
        ProcessHookKeyDown(pComboBox, nChar, lParam);
        return 1;
    }
}

BOOL CXTPControlComboBoxList::ProcessHookKeyDown(CXTPControlComboBox* pComboBox, UINT nChar, LPARAM lParam)
{
    if (m_hWnd == NULL)
        return TRUE;
    BOOL bAlt = ::GetKeyState(VK_MENU) < 0;
    int nOldSel = GetCurSel();
    if (pComboBox->GetEditCtrl() != NULL)
    {
        if (!bAlt && (nChar == VK_UP || nChar == VK_DOWN || nChar == VK_PRIOR || nChar == VK_NEXT))
            DefWindowProc(WM_KEYDOWN, nChar, lParam);
    }
    else if ((nChar == VK_F4 && bAlt) || (!bAlt && (nChar == VK_UP || nChar == VK_DOWN)) ||
             (nChar != VK_F4 && nChar != VK_UP && nChar != VK_DOWN))
    {
        MSG msg = {m_hWnd, WM_KEYDOWN, (WPARAM)nChar, lParam, 0, {0, 0}};
        ::IsDialogMessageA(m_hWnd, &msg);
    }
    if (GetCurSel() != nOldSel)
    {
        pComboBox->OnSelChanged();
        if (pComboBox->GetEditCtrl() != NULL && pComboBox->GetEditCtrl()->GetSafeHwnd() != NULL)
            pComboBox->GetEditCtrl()->SendMessage(EM_SETSEL, 0, -1);
    }
    return TRUE;
}

int CXTPControlComboBoxList::ItemFromPoint(CPoint point) const
{
    DWORD dwResult = (DWORD)::SendMessage(m_hWnd, LB_ITEMFROMPOINT, 0, MAKELPARAM(point.x, point.y));
    if (HIWORD(dwResult) != 0)
        return -1;
    return (int)LOWORD(dwResult);
}

BOOL CXTPControlComboBoxList::OnListMouseMove(CPoint point)
{
    int nItem = ItemFromPoint(point);
    if (nItem != -1 && nItem != GetCurSel())
        SetCurSel(nItem);
    return TRUE;
}

void CXTPControlComboBoxList::OnListPaint()
{
    CPaintDC dc(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    dc.FillSolidRect(rcClient, GetXTPSysColor(COLOR_WINDOW));
    DefWindowProc(WM_PAINT, (WPARAM)dc.GetSafeHdc(), 0);
}

void CXTPControlComboBoxList::OnListNcPaint()
{
    CWindowDC dc(this);
    CRect rc;
    GetWindowRect(&rc);
    rc.OffsetRect(-rc.left, -rc.top);
    CXTPPaintManager* pPaintManager = GetPaintManager();
    COLORREF clrFrame = pPaintManager != NULL ? pPaintManager->GetColor(43) : GetXTPSysColor(COLOR_3DSHADOW);
    dc.Draw3dRect(rc, clrFrame, clrFrame);
    rc.DeflateRect(1, 1);
    dc.Draw3dRect(rc, GetXTPSysColor(COLOR_WINDOW), GetXTPSysColor(COLOR_WINDOW));
}

LRESULT CXTPControlComboBoxList::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // The window is a list box: only the bar's own handling is added here,
    // everything else is the list box's.
    switch (message)
    {
    case WM_MOUSEMOVE:
        OnListMouseMove(CPoint((short)LOWORD(lParam), (short)HIWORD(lParam)));
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        return 0;
    case WM_LBUTTONUP:
    {
        CXTPControlComboBox* pComboBox = m_pComboBox;
        int nItem = ItemFromPoint(CPoint((short)LOWORD(lParam), (short)HIWORD(lParam)));
        if (pComboBox != NULL && nItem != -1)
        {
            SetCurSel(nItem);
            pComboBox->OnSelChanged();
            pComboBox->OnExecute();
        }
        return 0;
    }
    case WM_MOUSEWHEEL:
        DefWindowProc(message, wParam, lParam);
        return 0;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_PAINT:
        OnListPaint();
        return 0;
    case WM_NCPAINT:
        DefWindowProc(message, wParam, lParam);
        OnListNcPaint();
        return 0;
    default:
        return DefWindowProc(message, wParam, lParam);
    }
}

void CXTPControlComboBoxList::DoPropExchange(CXTPPropExchange* pPX)
{
    CXTPPopupBar::DoPropExchange(pPX);
    CXTPPropExchangeSection secItems(pPX->OpenSection("Items"));
    if (pPX->IsStoring())
    {
        DWORD nCount = (DWORD)GetCount();
        secItems->WriteCount(nCount);
        for (DWORD i = 0; i < nCount; i++)
        {
            CString strItem, strName;
            GetText((int)i, strItem);
            strName.Format("Item%i", (int)i);
            PropExchangeString(secItems, strName, strItem);
        }
        return;
    }

    CreateListBox();
    ResetContent();
    DWORD nCount = secItems->ReadCount();
    for (DWORD i = 0; i < nCount && i < (DWORD)nMaxStoredItems; i++)
    {
        CString strItem, strName;
        strName.Format("Item%i", (int)i);
        // A missing item ends the list: the count was wrong.
        if (!secItems->ExchangeValue(strName, VT_LPSTR, &strItem, NULL))
            break;
        AddString(strItem);
    }
}

void CXTPControlComboBoxList::Copy(CXTPCommandBar* pCommandBar, BOOL bRecursive)
{
    CXTPPopupBar::Copy(pCommandBar, bRecursive);
    CXTPControlComboBoxList* pList = DYNAMIC_DOWNCAST(CXTPControlComboBoxList, pCommandBar);
    if (pList == NULL)
        return;
    CreateListBox();
    ResetContent();
    for (int i = 0; i < pList->GetCount(); i++)
    {
        CString strItem;
        pList->GetText(i, strItem);
        AddString(strItem);
    }
}

//////////////////////////////////////////////////////////////////////////
// CXTPControlComboBoxEditCtrl

IMPLEMENT_DYNAMIC(CXTPControlComboBoxEditCtrl, CXTPControlTextEditCtrl)

BEGIN_MESSAGE_MAP(CXTPControlComboBoxEditCtrl, CXTPControlTextEditCtrl)
    ON_MESSAGE(XTP_WM_AUTOCOMPLETESHOWN, OnAutoCompleteShown)
END_MESSAGE_MAP()

CXTPControlComboBox* CXTPControlComboBoxEditCtrl::GetComboBox() const
{
    return static_cast<CXTPControlComboBox*>(m_pHolder);
}

LRESULT CXTPControlComboBoxEditCtrl::OnAutoCompleteShown(WPARAM, LPARAM)
{
    // The shell's own drop-down takes the place of the list.
    CXTPControlComboBoxList* pList = m_pHolder != NULL ? GetComboBox()->GetListBox() : NULL;
    if (pList != NULL && pList->IsTrackingMode())
        pList->SetTrackingMode(FALSE);
    return 0;
}

void CXTPControlComboBoxEditCtrl::OnBeforeContextMenu()
{
    CXTPControlComboBox* pCombo = GetComboBox();
    if (pCombo->GetDroppedState() && pCombo->GetParent() != NULL)
        pCombo->GetParent()->SetPopuped(-1);
}

//////////////////////////////////////////////////////////////////////////
// CXTPControlComboBox

IMPLEMENT_DYNCREATE(CXTPControlComboBox, CXTPControlPopup)

CXTPControlComboBox::CXTPControlComboBox()
    : m_pEdit(NULL), m_bDropDown(FALSE), m_comboStyle(0), m_nLastSel(-1), m_nThumbWidth(0), m_bAutoComp(FALSE),
      m_bIgnoreAutoComplete(FALSE), m_nEditIconId(0), m_bSelEndOk(FALSE), m_nDropDownItemCount(12), m_nCurSel(-1),
      m_bIgnoreSelection(FALSE)
{
    m_controlType = xtpControlComboBox;
    m_nWidth = 100;
    EnableAutomation();

    CXTPControlComboBoxList* pList = new CXTPControlComboBoxList();
    SetCommandBar(pList);
    pList->InternalRelease();
    pList->CreateListBox();
}

CXTPControlComboBox::~CXTPControlComboBox()
{
    delete m_pAutoCompleteWnd;
    m_pAutoCompleteWnd = NULL;
    if (m_pEdit != NULL)
    {
        if (m_pEdit->GetSafeHwnd() != NULL)
            m_pEdit->DestroyWindow();
        delete m_pEdit;
    }
}

CXTPControlComboBoxPopupBar* CXTPControlComboBox::GetComboPopupBar() const
{
    return DYNAMIC_DOWNCAST(CXTPControlComboBoxPopupBar, m_pCommandBar);
}

CXTPControlComboBoxList* CXTPControlComboBox::GetListBox() const
{
    return DYNAMIC_DOWNCAST(CXTPControlComboBoxList, m_pCommandBar);
}

CXTPControlComboBoxEditCtrl* CXTPControlComboBox::CreateEditControl()
{
    return new CXTPControlComboBoxEditCtrl();
}

void CXTPControlComboBox::SetDropDown(BOOL bDropDown)
{
    m_bDropDown = bDropDown;
    if (bDropDown)
    {
        if (m_pEdit == NULL)
        {
            m_pEdit = CreateEditControl();
            m_pEdit->m_pHolder = this;
        }
    }
    else if (m_pEdit != NULL)
    {
        if (m_pEdit->GetSafeHwnd() != NULL)
            m_pEdit->DestroyWindow();
        delete m_pEdit;
        m_pEdit = NULL;
    }
    DelayLayoutParent();
}

//////////////////////////////////////////////////////////////////////////
// Items and selection

int CXTPControlComboBox::GetCount() const
{
    CXTPControlComboBoxList* pList = GetListBox();
    return pList != NULL ? pList->GetCount() : 0;
}

int CXTPControlComboBox::AddString(LPCTSTR lpszItem)
{
    CXTPControlComboBoxList* pList = GetListBox();
    return pList != NULL ? pList->AddString(lpszItem) : -1;
}

int CXTPControlComboBox::InsertString(int nIndex, LPCTSTR lpszItem)
{
    CXTPControlComboBoxList* pList = GetListBox();
    return pList != NULL ? pList->InsertString(nIndex, lpszItem) : -1;
}

int CXTPControlComboBox::DeleteItem(int nIndex)
{
    CXTPControlComboBoxList* pList = GetListBox();
    return pList != NULL ? pList->DeleteString(nIndex) : -1;
}

void CXTPControlComboBox::ResetContent()
{
    CXTPControlComboBoxList* pList = GetListBox();
    if (pList != NULL)
        pList->ResetContent();
}

int CXTPControlComboBox::FindStringExact(int nIndexStart, LPCTSTR lpszFind) const
{
    CXTPControlComboBoxPopupBar* pBar = GetComboPopupBar();
    return pBar != NULL ? pBar->FindStringExact(nIndexStart, lpszFind) : -1;
}

void CXTPControlComboBox::GetLBText(int nIndex, CString& rString) const
{
    CXTPControlComboBoxPopupBar* pBar = GetComboPopupBar();
    if (pBar != NULL)
        pBar->GetText(nIndex, rString);
    else
        rString.Empty();
}

int CXTPControlComboBox::GetDropDownListWidth() const
{
    return m_pCommandBar != NULL ? m_pCommandBar->GetMRUWidth() : 0;
}

void CXTPControlComboBox::SetDropDownListWidth(int nWidth)
{
    if (m_pCommandBar != NULL)
        m_pCommandBar->SetMRUWidth(nWidth);
}

int CXTPControlComboBox::GetCurSel() const
{
    CXTPControlComboBoxPopupBar* pBar = GetComboPopupBar();
    return pBar != NULL ? pBar->GetCurSel() : m_nCurSel;
}

CString CXTPControlComboBox::GetListBoxText() const
{
    CString str;
    int nSel = GetCurSel();
    if (nSel != -1)
        GetLBText(nSel, str);
    return str;
}

void CXTPControlComboBox::SetCurSel(int nIndex)
{
    CXTPControlComboBoxPopupBar* pBar = GetComboPopupBar();
    if ((pBar == NULL || pBar->GetCurSel() == nIndex) && m_nCurSel == nIndex)
        return;
    m_nCurSel = nIndex;
    if (pBar != NULL)
        pBar->SetCurSel(nIndex);
    OnSelChanged();
}

void CXTPControlComboBox::OnSelChanged()
{
    m_bIgnoreSelection = TRUE;
    SetRawText(GetListBoxText());
    m_bIgnoreSelection = FALSE;
    RedrawParent(FALSE);
    NotifySite(XTP_CBN_SELCHANGE);
}

void CXTPControlComboBox::UpdatePopupSelection()
{
    CXTPControlComboBoxPopupBar* pBar = GetComboPopupBar();
    if (m_bIgnoreSelection || m_pEdit == NULL || pBar == NULL)
        return;
    CString strText = GetEditTextValue();
    // Searches run from the first item (a start of -1).
    int nExact = pBar->FindStringExact(-1, strText);
    if (nExact != -1)
    {
        pBar->SetCurSel(nExact);
        return;
    }
    int nPrefix = strText.IsEmpty() ? -1 : pBar->FindString(-1, strText);
    if (nPrefix != -1)
    {
        pBar->SetTopIndex(nPrefix);
        pBar->SetCurSel(nPrefix);
    }
    pBar->SetCurSel(-1);
}

//////////////////////////////////////////////////////////////////////////
// The list opening and closing

BOOL CXTPControlComboBox::OnSetPopup(BOOL bPopup)
{
    if (bPopup)
    {
        m_bSelEndOk = FALSE;
        m_nLastSel = GetCurSel();
        if (m_pAutoCompleteWnd != NULL)
            m_pAutoCompleteWnd->HideDropDown();
        // The list counts as open already, so that the edit taking the focus
        // does not close it.
        m_bPopup = TRUE;
        if (HasWindow() && ::GetFocus() != m_pEdit->m_hWnd)
            m_pEdit->SetFocus();
        return CXTPControlPopup::OnSetPopup(TRUE);
    }

    BOOL bResult = CXTPControlPopup::OnSetPopup(FALSE);
    if (m_pEdit == NULL && !m_bFocused && !m_bSelEndOk)
        SetCurSel(m_nLastSel);
    if (!m_bSelEndOk)
        NotifySite(XTP_CBN_SELENDCANCEL);
    return bResult;
}

void CXTPControlComboBox::OnListTrackingModeChanged(BOOL bTracking)
{
    if (bTracking)
    {
        XTPMouseManager()->LockMouseMove();
        UpdatePopupSelection();
        NotifySite(XTP_CBN_DROPDOWN);
    }
    else
    {
        NotifySite(XTP_CBN_CLOSEUP);
        XTPMouseManager()->UnlockMouseMove();
    }
}

void CXTPControlComboBox::OnExecute()
{
    if (GetCurSel() != -1 && (m_bPopup || (m_pEdit == NULL && m_bFocused)))
        NotifySite(XTP_CBN_SELENDOK);
    m_bSelEndOk = TRUE;
    m_nLastSel = GetCurSel();
    CXTPControlPopup::OnExecute();
}

//////////////////////////////////////////////////////////////////////////
// Layout and drawing

BOOL CXTPControlComboBox::IsCaptionVisible() const
{
    if (m_pParent != NULL && m_pParent->GetType() == xtpBarTypePopup)
        return TRUE;
    if (GetCaption().IsEmpty())
        return FALSE;
    XTPButtonStyle style = GetShownStyle();
    if (style == xtpButtonCaption || style == xtpButtonIconAndCaption || style == xtpButtonIconAndCaptionBelow)
        return TRUE;
    return m_comboStyle == 1;
}

BOOL CXTPControlComboBox::IsImageVisible() const
{
    if (m_pParent != NULL && m_pParent->GetType() == xtpBarTypePopup)
        return HasIcon();
    XTPButtonStyle style = GetShownStyle();
    return (style == xtpButtonIcon || style == xtpButtonIconAndCaption) && HasIcon();
}

BOOL CXTPControlComboBox::Compare(CXTPControl* pOther)
{
    return CXTPControl::Compare(pOther) && DYNAMIC_DOWNCAST(CXTPControlComboBox, pOther) != NULL;
}

void CXTPControlComboBox::AdjustEditRect(CRect& rc)
{
    CXTPImageManager* pImageManager = GetImageManager();
    CXTPImageManagerIcon* pIcon = m_nEditIconId > 0 && pImageManager != NULL ? pImageManager->GetImage(m_nEditIconId, 0)
                                                                            : NULL;
    if (pIcon != NULL)
        rc.left += pIcon->GetWidth() + 2;
}

void CXTPControlComboBox::SetRect(CRect rcControl)
{
    if (m_pEdit == NULL)
    {
        m_rcControl = rcControl;
        return;
    }
    CheckEditWindowParent();
    if (m_rcControl == rcControl && m_pEdit->GetSafeHwnd() != NULL && !m_bDelayReposition)
        return;
    m_rcControl = rcControl;
    CRect rcEdit(rcControl.left + m_nLabelWidth + 4, rcControl.top + 3, rcControl.right - 3 - m_nThumbWidth,
                 rcControl.bottom - 3);
    AdjustEditRect(rcEdit);
    PlaceEditWindow(rcEdit, FALSE);
}

BOOL CXTPControlComboBox::SetHideFlags(DWORD dwFlags)
{
    if (!CXTPControl::SetHideFlags(dwFlags))
        return FALSE;
    OnEditVisibilityChanged();
    return TRUE;
}

void CXTPControlComboBox::OnCalcDynamicSize(DWORD dwMode)
{
    SetHideFlag(xtpHideExcluded, (dwMode & LM_VERTDOCK) != 0);
}

void CXTPControlComboBox::SetEnabled(BOOL bEnabled)
{
    CXTPControl::SetEnabled(bEnabled);
    OnEditEnabledChanged();
}

void CXTPControlComboBox::SetParent(CXTPCommandBar* pParent)
{
    CXTPControlPopup::SetParent(pParent);
    CXTPControlComboBoxList* pList = GetListBox();
    CWnd* pSite = pParent != NULL ? pParent->GetSite() : NULL;
    if (pList != NULL && pList->GetSafeHwnd() != NULL)
        ::SetWindowLongPtrA(pList->m_hWnd, GWLP_HWNDPARENT, (LONG_PTR)pSite->GetSafeHwnd());
    if (pParent == NULL && HasWindow())
        m_pEdit->DestroyWindow();
}

void CXTPControlComboBox::GetCharFormat(CHARFORMAT2& cf)
{
    FillCharFormat(cf);
}

void CXTPControlComboBox::DrawEditText(CDC* pDC, CRect rcText)
{
    BOOL bEnabled = GetEnabled();
    if (m_pEdit == NULL && bEnabled && m_bFocused)
    {
        CRect rcFocus = rcText;
        rcFocus.DeflateRect(1, 1);
        pDC->FillSolidRect(rcFocus, GetXTPSysColor(COLOR_HIGHLIGHT));
    }

    CXTPImageManager* pImageManager = GetImageManager();
    CXTPImageManagerIcon* pIcon = m_nEditIconId > 0 && pImageManager != NULL ? pImageManager->GetImage(m_nEditIconId, 0)
                                                                            : NULL;
    if (pIcon != NULL)
    {
        CPoint pt(rcText.left, rcText.top + (rcText.Height() - pIcon->GetHeight()) / 2);
        pIcon->Draw(pDC, pt, bEnabled ? pIcon->GetIcon() : pIcon->GetDisabledIcon());
        rcText.left += pIcon->GetWidth() + 2;
    }

    if (m_pEdit != NULL)
        return;

    pDC->SetBkMode(TRANSPARENT);
    if (GetCurSel() != -1)
    {
        pDC->SetTextColor(GetXTPSysColor(!bEnabled ? COLOR_GRAYTEXT : m_bFocused ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        pDC->DrawText(GetListBoxText(), rcText, DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    else if (!GetEditHintText().IsEmpty() && bEnabled && !m_bFocused)
    {
        pDC->SetTextColor(GetXTPSysColor(COLOR_GRAYTEXT));
        pDC->DrawText(GetEditHintText(), rcText, DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
}

void CXTPControlComboBox::OnActionChanging(int nProperty)
{
    OnEditActionChanging(nProperty);
}

void CXTPControlComboBox::OnActionChanged(int nProperty)
{
    OnEditActionChanged(nProperty);
}

void CXTPControlComboBox::EnableShellAutoComplete(DWORD dwFlags)
{
    AttachShellAutoComplete(dwFlags);
}

//////////////////////////////////////////////////////////////////////////
// Focus

void CXTPControlComboBox::SetFocused(BOOL bFocused)
{
    if (m_bFocused == bFocused)
        return;
    if (bFocused)
    {
        m_nLastSel = GetCurSel();
        m_bSelEndOk = FALSE;
    }
    ChangeEditFocus(bFocused);
    if (bFocused)
    {
        NotifySite(XTP_CBN_SETFOCUS);
    }
    else
    {
        if (!m_bSelEndOk && !m_bPopup && m_pEdit == NULL)
        {
            SetCurSel(m_nLastSel);
            NotifySite(XTP_CBN_SELENDCANCEL);
        }
        NotifySite(XTP_CBN_KILLFOCUS);
    }
    RedrawParent(FALSE);
}

void CXTPControlComboBox::OnSetFocus(CWnd* pOldWnd)
{
    if (IsHintShown())
        SetRawText("");
    m_strLastText = GetRawText();
    m_bIgnoreAutoComplete = TRUE;
    if (m_pParent != NULL)
    {
        if (m_pParent->m_hwndFocus == NULL)
        {
            CWnd* pSite = m_pParent->GetSite();
            m_pParent->m_hwndFocus = pOldWnd != NULL ? pOldWnd->GetSafeHwnd() : pSite->GetSafeHwnd();
        }
        if (!m_bPopup)
            m_pParent->SetPopuped(-1);
    }
    SetFocused(TRUE);
    UpdatePopupSelection();
    if (m_pAutoCompleteWnd != NULL)
        m_pAutoCompleteWnd->SetupHooks(TRUE);
}

void CXTPControlComboBox::OnKillFocus()
{
    if (GetRawText().IsEmpty() && !GetEditHintText().IsEmpty())
        SetRawText(GetEditHintText());
    SetFocused(FALSE);
    if (m_pAutoCompleteWnd != NULL)
        m_pAutoCompleteWnd->SetupHooks(FALSE);
    if (m_bPopup && m_pParent != NULL)
        m_pParent->SetPopuped(-1);
}

BOOL CXTPControlComboBox::OnSetSelected(int bSelected)
{
    BOOL bChanged = CXTPControl::OnSetSelected(bSelected);
    if (bSelected == 0 && !m_bPopup)
    {
        SetFocused(FALSE);
        ApplyCharFormat();
    }
    return bChanged;
}

void CXTPControlComboBox::ExecuteFromKeyboard()
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars != NULL)
        pCommandBars->HideKeyboardTips();
    SetFocused(TRUE);
}

void CXTPControlComboBox::OnEditChanged()
{
    CXTPControlComboBoxPopupBar* pBar = GetComboPopupBar();
    if (!m_bIgnoreSelection && !m_bIgnoreAutoComplete && m_bAutoComp && HasWindow() && pBar != NULL)
    {
        CString strText = GetRawText();
        DWORD dwStart = 0, dwEnd = 0;
        m_pEdit->SendMessage(EM_GETSEL, (WPARAM)&dwStart, (LPARAM)&dwEnd);
        if (!strText.IsEmpty() && dwStart == dwEnd && (int)dwEnd == strText.GetLength())
        {
            int nItem = pBar->FindString(-1, strText);
            if (nItem != -1)
            {
                CString strItem;
                pBar->GetText(nItem, strItem);
                m_bIgnoreSelection = TRUE;
                SetRawText(strItem);
                m_bIgnoreSelection = FALSE;
                m_pEdit->SendMessage(EM_SETSEL, (WPARAM)strItem.GetLength(), (LPARAM)strText.GetLength());
                m_pEdit->SendMessage(EM_SCROLLCARET);
                m_bIgnoreAutoComplete = TRUE;
            }
        }
    }
    UpdatePopupSelection();
    NotifySite(XTP_CBN_EDITCHANGE);
}

//////////////////////////////////////////////////////////////////////////
// Clicks and keys

void CXTPControlComboBox::OnClick(BOOL bKeyboard, CPoint pt)
{
    if (m_pEdit != NULL && m_pEdit->IsImeComposing())
        return;
    if (IsCustomizeMode())
    {
        if (m_pParent != NULL)
        {
            m_pParent->SetPopuped(-1);
            m_pParent->SetSelected(-1);
        }
        OnCustomizeClick(pt);
        return;
    }
    if (bKeyboard)
    {
        if (GetEnabled())
        {
            if (!m_bFocused)
                SetFocused(TRUE);
            else
                OnExecute();
        }
        return;
    }
    if (m_bPopup && m_bFocused && m_pParent != NULL)
    {
        m_pParent->SetPopuped(-1);
        return;
    }
    CXTPControlPopup::OnClick(bKeyboard, pt);
}

int CXTPControlComboBox::OnHookKeyDown(UINT nChar, LPARAM lParam)
{
    if (!m_bFocused)
        return 0;
    m_bIgnoreAutoComplete = nChar == VK_DELETE || nChar == VK_BACK;
    if (m_pEdit != NULL && m_pEdit->IsImeComposing())
        return 2;

    BOOL bAlt = ::GetKeyState(VK_MENU) < 0;
    BOOL bUseTab = m_pAutoCompleteWnd != NULL && (m_dwShellAutoCompleteFlags & 8) != 0;
    if ((nChar == VK_TAB && !bUseTab) || nChar == VK_RETURN)
        return 0;

    if (nChar == VK_ESCAPE)
    {
        if (m_bPopup && m_pParent != NULL)
            m_pParent->SetPopuped(-1);
        SetCurSel(m_nLastSel);
        SetRawText(m_strLastText.IsEmpty() ? GetEditHintText() : m_strLastText);
        SetFocused(FALSE);
        return m_pParent != NULL && m_pParent->GetPosition() == xtpBarPopup ? 1 : 0;
    }

    if (m_pEdit != NULL && bAlt && ::GetKeyState(VK_CONTROL) >= 0)
    {
        CXTPCommandBars* pCommandBars = GetCommandBars();
        if (pCommandBars != NULL && pCommandBars->OnFrameAccel((TCHAR)nChar))
            return 1;
    }

    if ((nChar == VK_F4 && !bAlt) || ((nChar == VK_UP || nChar == VK_DOWN) && bAlt))
    {
        OnClick(FALSE, CPoint(0, 0));
        return 1;
    }

    if (m_pAutoCompleteWnd != NULL && m_pAutoCompleteWnd->PreTranslateKey(nChar))
        return 1;

    CXTPControlComboBoxPopupBar* pBar = GetComboPopupBar();
    BOOL bListKey = !bAlt && (nChar == VK_UP || nChar == VK_DOWN || nChar == VK_PRIOR || nChar == VK_NEXT);
    if ((m_pEdit == NULL || bListKey) && pBar != NULL)
    {
        pBar->ProcessHookKeyDown(this, nChar, lParam);
        return 1;
    }
    if (m_pEdit == NULL)
        return 2;
    return m_pEdit->ProcessEditKey(nChar, lParam) ? 1 : 2;
}

BOOL CXTPControlComboBox::OnHookMouseWheel(UINT /*nFlags*/, short zDelta, CPoint /*pt*/)
{
    CXTPControlComboBoxPopupBar* pBar = GetComboPopupBar();
    if (!m_bFocused || m_bPopup || m_pAutoCompleteWnd != NULL || pBar == NULL)
        return FALSE;
    pBar->ProcessHookKeyDown(this, zDelta < 0 ? VK_DOWN : VK_UP, 0);
    return TRUE;
}

//////////////////////////////////////////////////////////////////////////
// Copies and the stored form

void CXTPControlComboBox::Copy(CXTPControl* pControl, BOOL bRecursive)
{
    CXTPControlComboBox* pCombo = DYNAMIC_DOWNCAST(CXTPControlComboBox, pControl);
    if (pCombo != NULL)
    {
        SetDropDown(pCombo->m_bDropDown);
        m_comboStyle = pCombo->m_comboStyle;
        m_strEditHint = pCombo->m_strEditHint;
        m_bAutoComp = pCombo->m_bAutoComp;
        m_dwShellAutoCompleteFlags = pCombo->m_dwShellAutoCompleteFlags;
        m_nEditIconId = pCombo->m_nEditIconId;
        m_nDropDownItemCount = pCombo->m_nDropDownItemCount;
        m_dwEditStyle = pCombo->m_dwEditStyle;
    }
    // A recursive copy clones the list with its items; a plain one shares it.
    CXTPControlPopup::Copy(pControl, bRecursive);
    if (pCombo != NULL)
    {
        // The copy shows what the source shows: its selection (the text of a
        // list-only combo) and its edit text. Nobody is told: nothing was
        // chosen.
        m_nCurSel = pCombo->GetCurSel();
        CXTPControlComboBoxPopupBar* pBar = GetComboPopupBar();
        if (pBar != NULL && pBar->GetCurSel() != m_nCurSel)
            pBar->SetCurSel(m_nCurSel);
        SetEditTextValue(pCombo->GetEditTextValue());
    }
}

void CXTPControlComboBox::DoPropExchange(CXTPPropExchange* pPX)
{
    CXTPControlPopup::DoPropExchange(pPX);
    int nSchema = pPX->GetSchema();
    PropExchangeBool(pPX, "DropDown", m_bDropDown, TRUE);
    PropExchangeLongWithDefault(pPX, "Width", m_nWidth, 0);
    PropExchangeLongWithDefault(pPX, "ComboStyle", m_comboStyle, 0);
    if (nSchema > 8)
    {
        PropExchangeStringWithDefault(pPX, "EditHint", m_strEditHint, "");
        PropExchangeLongWithDefault(pPX, "ShellAutoCompleteFlags", m_dwShellAutoCompleteFlags, 0);
        PropExchangeBool(pPX, "AutoComplete", m_bAutoComp, FALSE);
        PropExchangeLongWithDefault(pPX, "EditIconId", m_nEditIconId, 0);
        PropExchangeLongWithDefault(pPX, "DropDownItemCount", m_nDropDownItemCount, 12);
    }
    if (nSchema > 16)
        PropExchangeLongWithDefault(pPX, "EditStyle", m_dwEditStyle, 0);
    if (pPX->IsLoading())
    {
        SetDropDown(m_bDropDown);
        AttachShellAutoComplete(m_dwShellAutoCompleteFlags);
    }
}
