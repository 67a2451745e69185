// In-place buttons, the drop-down list and the value editor of a property grid.
#include "XTPPropertyGrid.h"
#include "XTPDrawHelpers.h"
#include "XTPImageManager.h"
#include "XTPSystemHelpers.h"

//////////////////////////////////////////////////////////////////////////
// CXTPPropertyGridInplaceButton

CXTPPropertyGridInplaceButton::CXTPPropertyGridInplaceButton(UINT nID)
    : m_bPressed(FALSE), m_nIndex(-1), m_pGrid(NULL), m_pItem(NULL), m_nID(nID),
      m_nWidth(::GetSystemMetrics(SM_CXHTHUMB)), m_nImageIndex(-1)
{
    m_rcButton.SetRectEmpty();
}

CXTPImageManagerIcon* CXTPPropertyGridInplaceButton::GetImage()
{
    if (m_nImageIndex == -1 || m_pItem == NULL || m_pGrid == NULL)
        return NULL;
    return m_pGrid->GetImageManager()->GetImage((UINT)m_nImageIndex, 0);
}

BOOL CXTPPropertyGridInplaceButton::IsHot() const
{
    return m_pGrid != NULL && m_pGrid->GetHotButton() == this;
}

BOOL CXTPPropertyGridInplaceButton::IsFocused() const
{
    return m_pGrid != NULL && m_pGrid->GetFocusedButton() == this;
}

void CXTPPropertyGridInplaceButton::OnDraw(CDC* pDC, CRect rc)
{
    m_rcButton = rc;
    if (m_pGrid != NULL && m_pGrid->GetPaintManager() != NULL)
        m_pGrid->GetPaintManager()->DrawInplaceButton(pDC, this);
}

void CXTPPropertyGridInplaceButton::OnLButtonDown(UINT /*nFlags*/, CPoint point)
{
    CXTPPropertyGridView* pView = m_pGrid;
    if (pView == NULL || pView->GetSafeHwnd() == NULL)
        return;
    HWND hWndView = pView->GetSafeHwnd();

    InternalAddRef();
    m_bPressed = TRUE;
    if (m_rcButton.PtInRect(point))
        pView->SetHotButton(this);
    pView->SetFocus();
    pView->Invalidate(FALSE);
    pView->SetCapture();

    // A lost capture counts as a click; the quit message ends the press.
    BOOL bClick = FALSE;
    MSG msg = {};
    for (;;)
    {
        if (!XTPPropertyGridNextCaptureMessage(hWndView, msg))
        {
            bClick = msg.message != WM_QUIT;
            break;
        }
        if (msg.message == WM_LBUTTONUP)
        {
            // Where the button is let go decides: the hot state may have been
            // cleared meanwhile by a late mouse-leave report of the view.
            CPoint pt((short)LOWORD(msg.lParam), (short)HIWORD(msg.lParam));
            ::MapWindowPoints(msg.hwnd, hWndView, &pt, 1);
            bClick = m_rcButton.PtInRect(pt);
            break;
        }
        if (msg.message == WM_MOUSELEAVE && msg.hwnd == hWndView)
        {
            // Reported for an earlier tracking (the pointer over a list or
            // tip that has gone since): the press follows the moves alone.
            continue;
        }
        if (msg.message == WM_MOUSEMOVE)
        {
            CPoint pt((short)LOWORD(msg.lParam), (short)HIWORD(msg.lParam));
            ::MapWindowPoints(msg.hwnd, hWndView, &pt, 1);
            BOOL bHot = m_rcButton.PtInRect(pt);
            if (bHot != IsHot())
            {
                pView->SetHotButton(bHot ? this : NULL);
                pView->Invalidate(FALSE);
            }
            continue;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }

    m_bPressed = FALSE;
    if (::GetCapture() == hWndView)
        ::ReleaseCapture();
    if (::IsWindow(hWndView))
        pView->Invalidate(FALSE);
    if (bClick && m_pItem != NULL)
        m_pItem->OnInplaceButtonDown(this);
    InternalRelease();
}

void CXTPPropertyGridInplaceButton::OnKeyDown(UINT nChar)
{
    if ((nChar == VK_SPACE || nChar == VK_DOWN || nChar == VK_RETURN || nChar == VK_F4) && m_pItem != NULL)
        m_pItem->OnInplaceButtonDown(this);
}

//////////////////////////////////////////////////////////////////////////
// CXTPPropertyGridInplaceButtons

CXTPPropertyGridInplaceButtons::CXTPPropertyGridInplaceButtons(CXTPPropertyGridItem* pItem)
    : m_pItem(pItem)
{
}

CXTPPropertyGridInplaceButtons::~CXTPPropertyGridInplaceButtons()
{
    RemoveAll();
}

CXTPPropertyGridInplaceButton* CXTPPropertyGridInplaceButtons::AddButton(CXTPPropertyGridInplaceButton* pButton)
{
    if (pButton == NULL)
        return NULL;
    pButton->m_pItem = m_pItem;
    pButton->m_pGrid = m_pItem != NULL ? m_pItem->GetGridView() : NULL;
    m_arrButtons.Add(pButton);
    UpdateIndexes();
    return pButton;
}

CXTPPropertyGridInplaceButton* CXTPPropertyGridInplaceButtons::AddComboButton()
{
    CXTPPropertyGridInplaceButton* pButton = Find(XTP_ID_PROPERTYGRID_COMBOBUTTON);
    return pButton != NULL ? pButton : AddButton(new CXTPPropertyGridInplaceButton(XTP_ID_PROPERTYGRID_COMBOBUTTON));
}

CXTPPropertyGridInplaceButton* CXTPPropertyGridInplaceButtons::AddExpandButton()
{
    CXTPPropertyGridInplaceButton* pButton = Find(XTP_ID_PROPERTYGRID_EXPANDBUTTON);
    return pButton != NULL ? pButton
                           : AddButton(new CXTPPropertyGridInplaceButton(XTP_ID_PROPERTYGRID_EXPANDBUTTON));
}

CXTPPropertyGridInplaceButton* CXTPPropertyGridInplaceButtons::Find(UINT nID) const
{
    for (int i = 0; i < GetCount(); i++)
    {
        if (m_arrButtons[i]->GetID() == nID)
            return m_arrButtons[i];
    }
    return NULL;
}

CXTPPropertyGridInplaceButton* CXTPPropertyGridInplaceButtons::GetAt(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCount() ? m_arrButtons[nIndex] : NULL;
}

namespace
{
void ForgetButton(CXTPPropertyGridInplaceButton* pButton)
{
    if (pButton->GetGridView() != NULL)
        pButton->GetGridView()->ForgetButton(pButton);
}
} // namespace

void CXTPPropertyGridInplaceButtons::Remove(CXTPPropertyGridInplaceButton* pButton)
{
    for (int i = 0; i < GetCount(); i++)
    {
        if (m_arrButtons[i] == pButton)
        {
            m_arrButtons.RemoveAt(i);
            ForgetButton(pButton);
            pButton->InternalRelease();
            UpdateIndexes();
            return;
        }
    }
}

void CXTPPropertyGridInplaceButtons::RemoveByID(UINT nID)
{
    CXTPPropertyGridInplaceButton* pButton = Find(nID);
    if (pButton != NULL)
        Remove(pButton);
}

void CXTPPropertyGridInplaceButtons::RemoveAll()
{
    for (int i = 0; i < GetCount(); i++)
    {
        ForgetButton(m_arrButtons[i]);
        m_arrButtons[i]->InternalRelease();
    }
    m_arrButtons.RemoveAll();
}

CXTPPropertyGridInplaceButton* CXTPPropertyGridInplaceButtons::HitTest(CPoint point) const
{
    if (m_pItem == NULL || !m_pItem->IsInplaceButtonVisible())
        return NULL;
    for (int i = 0; i < GetCount(); i++)
    {
        if (m_arrButtons[i]->m_rcButton.PtInRect(point))
            return m_arrButtons[i];
    }
    return NULL;
}

int CXTPPropertyGridInplaceButtons::GetWidth() const
{
    int nWidth = 0;
    for (int i = 0; i < GetCount(); i++)
        nWidth += m_arrButtons[i]->GetWidth();
    return nWidth;
}

void CXTPPropertyGridInplaceButtons::UpdateIndexes()
{
    for (int i = 0; i < GetCount(); i++)
        m_arrButtons[i]->m_nIndex = i;
}

//////////////////////////////////////////////////////////////////////////
// CXTPPropertyGridInplaceList

CXTPPropertyGridInplaceList::CXTPPropertyGridInplaceList()
    : m_pItem(NULL), m_hWndView(NULL)
{
}

CXTPPropertyGridInplaceList::~CXTPPropertyGridInplaceList()
{
    m_pItem = NULL;
    if (CXTPOutsideClickMonitor::m_pWndMonitor == this)
        CXTPOutsideClickMonitor::SetupHook(NULL);
    if (GetSafeHwnd() != NULL)
        DestroyWindow();
}

BEGIN_MESSAGE_MAP(CXTPPropertyGridInplaceList, CListBox)
    ON_WM_MOUSEACTIVATE()
    ON_WM_LBUTTONUP()
    ON_WM_KEYDOWN()
    ON_WM_SYSKEYDOWN()
    ON_WM_KILLFOCUS()
    ON_WM_GETDLGCODE()
END_MESSAGE_MAP()

void CXTPPropertyGridInplaceList::Create(CXTPPropertyGridItem* pItem, CRect rect)
{
    CXTPPropertyGridView* pView = pItem != NULL ? pItem->GetGridView() : NULL;
    if (pView == NULL || pView->GetSafeHwnd() == NULL)
        return;

    // A window left from an earlier drop-down goes first, without reporting
    // to any item.
    m_pItem = NULL;
    if (GetSafeHwnd() != NULL)
        DestroyWindow();

    int nLeft = pView->GetDividerPos() + 1;
    m_pItem = pItem;
    m_hWndView = pView->GetSafeHwnd();

    // The list is a top-most popup, so that it may reach past the grid and
    // the dialog, owned by the view's window itself: a click outside it
    // gives the focus back to the grid (the outside-click monitor focuses
    // the owner), not to the window around the grid. Made as a popup of the
    // view, it would be owned by the view's top-level window instead.
    DWORD dwExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | (pView->GetExStyle() & WS_EX_LAYOUTRTL);
    DWORD dwStyle = WS_POPUP | WS_BORDER | WS_VSCROLL | LBS_HASSTRINGS | LBS_OWNERDRAWFIXED | LBS_NOTIFY;
    if (!CreateEx(dwExStyle, "LISTBOX", "", dwStyle, CRect(0, 0, 0, 0), pView, 0))
    {
        TRACE("property grid: the drop-down list could not be created\n");
        m_pItem = NULL;
        return;
    }
    ::SetWindowLongPtr(m_hWnd, GWLP_HWNDPARENT, (LONG_PTR)pView->GetSafeHwnd());
    SetOwner(pView);

    CFont* pFont = pView->GetFont();
    SetFont(pFont, FALSE);
    ResetContent();

    CClientDC dc(pView);
    CFont* pOldFont = pFont != NULL ? dc.SelectObject(pFont) : NULL;
    int nHeight = dc.GetTextExtent(" ", 1).cy + 3;
    int nWidth = rect.right - nLeft;

    CXTPPropertyGridItemConstraints* pConstraints = pItem->GetConstraints();
    for (int i = 0; i < pConstraints->GetCount(); i++)
    {
        CXTPPropertyGridItemConstraint* pConstraint = pConstraints->GetConstraintAt(i);
        int nIndex = AddString(pConstraint->m_strConstraint);
        SetItemDataPtr(nIndex, pConstraint);
        CSize sz = pItem->OnMeasureItemConstraint(&dc, pConstraint);
        nWidth = std::max(nWidth, (int)sz.cx);
        nHeight = std::max(nHeight, (int)sz.cy);
        if (pConstraint->m_strConstraint == pItem->GetValue())
            SetCurSel(nIndex);
    }
    if (pOldFont != NULL)
        dc.SelectObject(pOldFont);
    SetItemHeight(0, nHeight);

    int nCount = pConstraints->GetCount();
    int nRows = pItem->GetDropDownItemCount() < nCount ? pItem->GetDropDownItemCount() : nCount;

    CRect rcRow = rect;
    pView->ClientToScreen(&rcRow);
    CRect rcList(0, rcRow.bottom, 0, rcRow.bottom + nRows * nHeight + 2);
    int cx = std::min(nWidth, rect.Width() - 14);
    rcList.right = rcRow.right;
    rcList.left = rcList.right - cx;

    CRect rcWork = XTPMonitorFunctions()->GetWorkAreaFromRect(&rcList);
    if (rcList.bottom > rcWork.bottom && rcList.top > rcWork.CenterPoint().y)
        rcList.OffsetRect(0, (rcRow.top - 1) - rcList.bottom);
    if (rcList.right > rcWork.right)
        rcList.OffsetRect(rcWork.right - rcList.right, 0);
    if (rcList.left < rcWork.left)
        rcList.OffsetRect(rcWork.left - rcList.left, 0);

    SetWindowPos(&CWnd::wndTopMost, rcList.left, rcList.top, rcList.Width(), rcList.Height(),
                 SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    SetFocus();
    CXTPOutsideClickMonitor::SetupHook(this);
}

void CXTPPropertyGridInplaceList::ReturnFocus()
{
    if (::GetFocus() == GetSafeHwnd() && ::IsWindow(m_hWndView))
        ::SetFocus(m_hWndView);
}

void CXTPPropertyGridInplaceList::Apply()
{
    int nIndex = GetCurSel();
    CXTPPropertyGridItem* pItem = m_pItem;
    if (nIndex != LB_ERR && pItem != NULL)
    {
        m_pItem = NULL;
        pItem->InternalAddRef();
        pItem->GetConstraints()->SetCurrent(nIndex);
        CString strValue;
        GetText(nIndex, strValue);
        if (pItem->OnAfterEdit(strValue) && strValue != pItem->GetValue())
            pItem->OnValueChanged(strValue);
        pItem->InternalRelease();
    }
    ReturnFocus();
}

void CXTPPropertyGridInplaceList::Cancel()
{
    CXTPPropertyGridItem* pItem = m_pItem;
    if (pItem == NULL)
        return;
    m_pItem = NULL;
    pItem->OnCancelEdit();
    ReturnFocus();
}

void CXTPPropertyGridInplaceList::DestroyItem()
{
    m_pItem = NULL;
    if (CXTPOutsideClickMonitor::m_pWndMonitor == this)
        CXTPOutsideClickMonitor::SetupHook(NULL);
    if (GetSafeHwnd() != NULL)
        DestroyWindow();
}

void CXTPPropertyGridInplaceList::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (lpDrawItemStruct->itemID == (UINT)-1)
        return;
    CXTPPropertyGridItemConstraint* pConstraint = (CXTPPropertyGridItemConstraint*)lpDrawItemStruct->itemData;
    CXTPPropertyGridItem* pItem = m_pItem;
    if (pItem == NULL || pConstraint == NULL)
        return;
    pItem->OnDrawItemConstraint(CDC::FromHandle(lpDrawItemStruct->hDC), pConstraint,
                                CRect(lpDrawItemStruct->rcItem), (lpDrawItemStruct->itemState & ODS_SELECTED) != 0);
}

void CXTPPropertyGridInplaceList::MeasureItem(LPMEASUREITEMSTRUCT /*lpMeasureItemStruct*/)
{
    // The height is set with LB_SETITEMHEIGHT once the entries are measured.
}

int CXTPPropertyGridInplaceList::OnMouseActivate(CWnd*, UINT, UINT)
{
    return MA_NOACTIVATE;
}

void CXTPPropertyGridInplaceList::OnLButtonUp(UINT nFlags, CPoint point)
{
    CListBox::OnLButtonUp(nFlags, point);
    CRect rcClient;
    GetClientRect(&rcClient);
    if (rcClient.PtInRect(point))
    {
        // The entry under the pointer is the one taken, also when the press
        // that would have selected it reached the list before it showed.
        BOOL bOutside = TRUE;
        const UINT nIndex = ItemFromPoint(point, bOutside);
        if (!bOutside && (int)nIndex != GetCurSel())
            SetCurSel((int)nIndex);
        Apply();
    }
    else
        Cancel();
}

void CXTPPropertyGridInplaceList::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_ESCAPE)
        Cancel();
    else if (nChar == VK_RETURN || nChar == VK_F4)
        Apply();
    else
        CListBox::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CXTPPropertyGridInplaceList::OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_UP || nChar == VK_DOWN)
        Apply();
    else
        CListBox::OnSysKeyDown(nChar, nRepCnt, nFlags);
}

void CXTPPropertyGridInplaceList::OnKillFocus(CWnd* pNewWnd)
{
    CListBox::OnKillFocus(pNewWnd);
    if (CXTPOutsideClickMonitor::m_pWndMonitor == this)
        CXTPOutsideClickMonitor::SetupHook(NULL);
    // The focus is on its way elsewhere: the cancel only reports.
    CXTPPropertyGridItem* pItem = m_pItem;
    m_pItem = NULL;
    if (pItem != NULL)
        pItem->OnCancelEdit();
    DestroyWindow();
}

UINT CXTPPropertyGridInplaceList::OnGetDlgCode()
{
    return DLGC_WANTALLKEYS;
}

//////////////////////////////////////////////////////////////////////////
// CXTPPropertyGridInplaceEdit

CXTPPropertyGridInplaceEdit::CXTPPropertyGridInplaceEdit()
    : m_clrBack(COLORREF_NULL), m_pGrid(NULL), m_pItem(NULL), m_bDelayCreate(FALSE), m_bCreated(FALSE),
      m_bEditMode(FALSE), m_bCancel(FALSE)
{
}

CXTPPropertyGridInplaceEdit::~CXTPPropertyGridInplaceEdit()
{
    m_pItem = NULL;
    if (GetSafeHwnd() != NULL)
        DestroyWindow();
}

BEGIN_MESSAGE_MAP(CXTPPropertyGridInplaceEdit, CXTMaskEditT<CEdit>)
    ON_CONTROL_REFLECT(EN_SETFOCUS, OnEnSetFocus)
    ON_CONTROL_REFLECT(EN_KILLFOCUS, OnEnKillFocus)
    ON_CONTROL_REFLECT(EN_CHANGE, OnEnChange)
    ON_WM_KEYDOWN()
    ON_WM_SYSKEYDOWN()
    ON_WM_CHAR()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_GETDLGCODE()
    ON_WM_CTLCOLOR_REFLECT()
    ON_WM_STYLECHANGED()
    ON_WM_MOUSEWHEEL()
END_MESSAGE_MAP()

// The wheel scrolls the view even while the value's edit box has the focus
// (a single-line edit box does nothing with it).
BOOL CXTPPropertyGridInplaceEdit::OnMouseWheel(UINT nFlags, short zDelta, CPoint pt)
{
    if (m_pGrid == NULL || m_pGrid->GetSafeHwnd() == NULL)
        return FALSE;
    m_pGrid->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(nFlags, (WORD)zDelta), MAKELPARAM(pt.x, pt.y));
    return TRUE;
}

void CXTPPropertyGridInplaceEdit::SetValue(LPCTSTR lpszValue)
{
    m_strValue = lpszValue != NULL ? lpszValue : "";
}

void CXTPPropertyGridInplaceEdit::HideWindow()
{
    if (GetSafeHwnd() != NULL)
        ShowWindow(SW_HIDE);
}

BOOL CXTPPropertyGridInplaceEdit::IsEditChanged() const
{
    if (GetSafeHwnd() == NULL)
        return FALSE;
    CString strText;
    GetWindowText(strText);
    return strText != m_strValue;
}

void CXTPPropertyGridInplaceEdit::Create(CXTPPropertyGridItem* pItem, CRect rect)
{
    if (pItem == NULL || pItem->GetGridView() == NULL || pItem->GetGridView()->GetSafeHwnd() == NULL)
        return;

    m_pItem = pItem;
    m_pGrid = pItem->GetGridView();
    m_bCreated = FALSE;
    m_bEditMode = FALSE;
    m_bCancel = FALSE;

    // Styles the edit cannot take afterwards make a new window.
    DWORD dwStyle = pItem->GetEditStyle();
    if (GetSafeHwnd() != NULL &&
        (((GetStyle() ^ dwStyle) & ~(DWORD)0x50000803) != 0 || m_bDelayCreate || ::GetParent(m_hWnd) != m_pGrid->m_hWnd))
    {
        CXTPPropertyGridItem* pKeep = m_pItem;
        m_pItem = NULL;
        DestroyWindow();
        m_pItem = pKeep;
    }
    m_bDelayCreate = FALSE;

    if (GetSafeHwnd() == NULL && !CEdit::Create(dwStyle, rect, m_pGrid, 0))
    {
        TRACE("property grid: the in-place edit could not be created\n");
        m_pItem = NULL;
        return;
    }

    if (pItem->IsPassword())
        SendMessage(EM_SETPASSWORDCHAR, (WPARAM)(BYTE)pItem->GetPromptChar());
    CXTPPropertyGridItemMetrics* pMetrics = pItem->GetMetrics(TRUE, FALSE);
    SendMessage(EM_LIMITTEXT, pMetrics != NULL ? (WPARAM)pMetrics->m_nMaxLength : 0);
    CXTPPropertyGridPaintManager* pPaintManager = m_pGrid->GetPaintManager();
    if (pPaintManager != NULL)
        SetFont(pPaintManager->GetItemFont(pItem, TRUE), FALSE);
    SetWindowText(m_strValue);
    SetWindowPos(NULL, rect.left, rect.top, rect.Width(), rect.Height(), SWP_NOZORDER | SWP_SHOWWINDOW);
    SetMargins(3, 3);

    SetUseMask(pItem->IsUseMask());
    if (pItem->IsUseMask())
    {
        SetEditMask(pItem->GetMask(), pItem->GetLiteral(), m_strValue);
        SetPromptChar(pItem->GetPromptChar());
    }
    m_bCreated = TRUE;
}

void CXTPPropertyGridInplaceEdit::DestroyItem()
{
    m_pItem = NULL;
    m_pGrid = NULL;
    m_strValue.Empty();
    m_brBack.DeleteObject();
    m_clrBack = COLORREF_NULL;
    HideWindow();
}

BOOL CXTPPropertyGridInplaceEdit::SelectConstraints(int nStep, BOOL bCycle)
{
    if (m_pItem == NULL || GetSafeHwnd() == NULL)
        return FALSE;
    CXTPPropertyGridItemConstraints* pConstraints = m_pItem->GetConstraints();
    int nCount = pConstraints->GetCount();
    if (nCount == 0)
        return FALSE;

    CString strText;
    GetWindowText(strText);
    int nIndex = pConstraints->FindConstraint(strText);
    if (nIndex == -1)
        return FALSE;

    nIndex += nStep;
    if (nIndex >= nCount)
        nIndex = bCycle ? 0 : nCount - 1;
    if (nIndex < 0)
        nIndex = bCycle ? nCount - 1 : 0;
    SetWindowText(pConstraints->GetAt(nIndex));
    pConstraints->SetCurrent(nIndex);
    return TRUE;
}

void CXTPPropertyGridInplaceEdit::FocusView()
{
    if (m_pGrid != NULL && m_pGrid->GetSafeHwnd() != NULL)
        m_pGrid->SetFocus();
}

void CXTPPropertyGridInplaceEdit::PressComboButton()
{
    if (m_pItem == NULL)
        return;
    CXTPPropertyGridInplaceButton* pButton = m_pItem->GetInplaceButtons()->Find(XTP_ID_PROPERTYGRID_COMBOBUTTON);
    if (pButton != NULL)
        m_pItem->OnInplaceButtonDown(pButton);
}

void CXTPPropertyGridInplaceEdit::OnEnSetFocus()
{
    if (m_pItem == NULL || m_pGrid == NULL)
        return;
    m_pGrid->Invalidate(FALSE);
    if (!m_pItem->OnRequestEdit())
    {
        FocusView();
        return;
    }
    m_bEditMode = TRUE;
}

void CXTPPropertyGridInplaceEdit::OnEnKillFocus()
{
    CXTPPropertyGridItem* pItem = m_pItem;
    if (pItem == NULL)
        return;
    CXTPPropertyGridView* pView = m_pGrid;
    pItem->InternalAddRef();
    pItem->OnValidateEdit();
    pItem->InternalRelease();
    if (pView != NULL && pView->GetSafeHwnd() != NULL)
        pView->Invalidate(FALSE);
}

void CXTPPropertyGridInplaceEdit::OnEnChange()
{
    if (m_bCreated && m_pItem != NULL && m_pGrid != NULL)
        m_pGrid->SendNotifyMessage(XTP_PGN_EDIT_CHANGED, (LPARAM)this);
}

void CXTPPropertyGridInplaceEdit::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    switch (nChar)
    {
    case VK_TAB:
        if (m_pItem != NULL && m_pItem->GetGrid() != NULL)
            m_pItem->GetGrid()->OnNavigate(xtpGridNavigateEdit, ::GetKeyState(VK_SHIFT) >= 0, m_pItem);
        return;
    case VK_ESCAPE:
        m_bCancel = TRUE;
        if (m_pItem != NULL)
            SetWindowText(m_pItem->GetValue());
        return;
    case VK_RETURN:
        return;
    case VK_F4:
        PressComboButton();
        return;
    case VK_UP:
    case VK_DOWN:
        if (m_pItem != NULL && !m_pItem->GetReadOnly() && SelectConstraints(nChar == VK_UP ? -1 : +1, FALSE))
        {
            SetSel(0, -1);
            return;
        }
        break;
    }
    CXTMaskEditT<CEdit>::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CXTPPropertyGridInplaceEdit::OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_UP || nChar == VK_DOWN)
    {
        PressComboButton();
        return;
    }
    CXTMaskEditT<CEdit>::OnSysKeyDown(nChar, nRepCnt, nFlags);
}

void CXTPPropertyGridInplaceEdit::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_TAB)
        return;
    if (nChar == VK_RETURN)
    {
        if ((GetStyle() & ES_WANTRETURN) == 0)
        {
            FocusView();
            return;
        }
    }
    else if (nChar == VK_ESCAPE)
    {
        FocusView();
        return;
    }
    else if (m_pItem != NULL && !m_pItem->GetReadOnly() && m_pItem->GetConstraintEdit() &&
             m_pItem->GetConstraints()->GetCount() > 0)
    {
        // A typed character picks the next constraint that begins with it.
        CXTPPropertyGridItemConstraints* pConstraints = m_pItem->GetConstraints();
        int nCount = pConstraints->GetCount();
        CString strText;
        GetWindowText(strText);
        int nCurrent = pConstraints->FindConstraint(strText);
        CString strChar((TCHAR)nChar);
        for (int i = 1; i <= nCount; i++)
        {
            int nIndex = (nCurrent + i + nCount) % nCount;
            CString strCaption = pConstraints->GetAt(nIndex);
            if (strCaption.Left(1).CompareNoCase(strChar) == 0)
            {
                SetWindowText(strCaption);
                pConstraints->SetCurrent(nIndex);
                SetSel(0, -1);
                return;
            }
        }
        return;
    }
    CXTMaskEditT<CEdit>::OnChar(nChar, nRepCnt, nFlags);
}

void CXTPPropertyGridInplaceEdit::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    if (m_pItem != NULL && !m_pItem->GetReadOnly() && SelectConstraints(+1, TRUE))
    {
        FocusView();
        return;
    }
    CXTMaskEditT<CEdit>::OnLButtonDblClk(nFlags, point);
}

UINT CXTPPropertyGridInplaceEdit::OnGetDlgCode()
{
    return DLGC_WANTALLKEYS;
}

HBRUSH CXTPPropertyGridInplaceEdit::CtlColor(CDC* pDC, UINT /*nCtlColor*/)
{
    CXTPPropertyGridPaintManager* pPaintManager = m_pGrid != NULL ? m_pGrid->GetPaintManager() : NULL;
    if (m_pItem == NULL || pPaintManager == NULL)
        return NULL;
    COLORREF clrText = pPaintManager->GetItemTextColor(m_pItem, TRUE);
    COLORREF clrBack = pPaintManager->GetItemBackColor(m_pItem, TRUE);
    pDC->SetTextColor(clrText);
    pDC->SetBkColor(clrBack);
    if (m_brBack.GetSafeHandle() == NULL || m_clrBack != clrBack)
    {
        m_brBack.DeleteObject();
        m_brBack.CreateSolidBrush(clrBack);
        m_clrBack = clrBack;
    }
    return (HBRUSH)m_brBack.GetSafeHandle();
}

void CXTPPropertyGridInplaceEdit::OnStyleChanged(int nStyleType, LPSTYLESTRUCT lpStyleStruct)
{
    CXTMaskEditT<CEdit>::OnStyleChanged(nStyleType, lpStyleStruct);
    if (nStyleType == GWL_EXSTYLE && ((lpStyleStruct->styleOld ^ lpStyleStruct->styleNew) & WS_EX_LAYOUTRTL))
    {
        HideWindow();
        m_bDelayCreate = TRUE;
    }
}

BOOL CXTPPropertyGridInplaceEdit::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && pMsg->hwnd == m_hWnd)
    {
        // The masked edit's own shortcuts first, then the keys go straight to
        // the edit, past the dialog's keyboard handling.
        if (CanUseMask() && CXTMaskEditT<CEdit>::PreTranslateMessage(pMsg))
            return TRUE;
        if (::IsDialogMessage(m_hWnd, pMsg))
            return TRUE;
    }
    return CXTMaskEditT<CEdit>::PreTranslateMessage(pMsg);
}
