// CCheckListBox: a list box with a check box in front of each item.
#include <afxwin.h>

IMPLEMENT_DYNAMIC(CCheckListBox, CListBox)

namespace
{
const int kCheckGap = 3; // pixels between the check box and the item text
}

CCheckListBox::CCheckListBox() : m_nStyle(BS_AUTOCHECKBOX), m_cyText(0)
{
}

CCheckListBox::~CCheckListBox()
{
    DestroyWindow();
}

BOOL CCheckListBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    // The check boxes are drawn by the object: the list must be owner-drawn
    // and keep its strings.
    if ((dwStyle & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) == 0)
        dwStyle |= LBS_OWNERDRAWFIXED;
    dwStyle |= LBS_HASSTRINGS;
    return CListBox::Create(dwStyle, rect, pParentWnd, nID);
}

void CCheckListBox::PreSubclassWindow()
{
    CListBox::PreSubclassWindow();
    // A list made from a dialog template may already hold items.
    int nCount = GetCount();
    if (nCount > 0)
        m_items.resize((size_t)nCount, ItemState{0, TRUE});
    if ((GetStyle() & LBS_OWNERDRAWFIXED) != 0)
        SetItemHeight(0, (UINT)CalcMinimumItemHeight());
}

void CCheckListBox::SetCheckStyle(UINT nStyle)
{
    if (nStyle == BS_CHECKBOX || nStyle == BS_AUTOCHECKBOX || nStyle == BS_3STATE ||
        nStyle == BS_AUTO3STATE)
        m_nStyle = nStyle;
}

void CCheckListBox::SetCheck(int nIndex, int nCheck)
{
    if (nIndex < 0 || nIndex >= GetCount())
        return;
    if ((size_t)nIndex >= m_items.size())
        m_items.resize((size_t)GetCount(), ItemState{0, TRUE});
    if (nCheck < 0 || nCheck > 2)
        nCheck = 1;
    if (m_items[(size_t)nIndex].nCheck == nCheck)
        return;
    m_items[(size_t)nIndex].nCheck = nCheck;
    CRect rect = GetCheckRect(nIndex);
    if (!rect.IsRectEmpty())
        ::InvalidateRect(m_hWnd, &rect, FALSE);
}

int CCheckListBox::GetCheck(int nIndex) const
{
    if (nIndex < 0 || (size_t)nIndex >= m_items.size())
        return 0;
    return m_items[(size_t)nIndex].nCheck;
}

void CCheckListBox::Enable(int nIndex, BOOL bEnabled)
{
    if (nIndex < 0 || nIndex >= GetCount())
        return;
    if ((size_t)nIndex >= m_items.size())
        m_items.resize((size_t)GetCount(), ItemState{0, TRUE});
    m_items[(size_t)nIndex].bEnabled = bEnabled;
    CRect rect;
    if (GetItemRect(nIndex, &rect) != LB_ERR)
        ::InvalidateRect(m_hWnd, &rect, FALSE);
}

BOOL CCheckListBox::IsEnabled(int nIndex) const
{
    if (nIndex < 0 || (size_t)nIndex >= m_items.size())
        return TRUE;
    return m_items[(size_t)nIndex].bEnabled;
}

int CCheckListBox::CalcMinimumItemHeight()
{
    int cyText = 0;
    if (m_hWnd != NULL)
    {
        HDC hDC = ::GetDC(m_hWnd);
        if (hDC != NULL)
        {
            HFONT hFont = (HFONT)::SendMessage(m_hWnd, WM_GETFONT, 0, 0);
            HGDIOBJ hOld = hFont != NULL ? ::SelectObject(hDC, hFont) : NULL;
            TEXTMETRIC tm;
            if (::GetTextMetrics(hDC, &tm))
                cyText = tm.tmHeight;
            if (hOld != NULL)
                ::SelectObject(hDC, hOld);
            ::ReleaseDC(m_hWnd, hDC);
        }
    }
    m_cyText = cyText;
    int cyCheck = GetCheckBoxSize().cy + 2;
    return cyText + 1 > cyCheck ? cyText + 1 : cyCheck;
}

CRect CCheckListBox::GetCheckRect(int nIndex) const
{
    CRect rectItem;
    if (m_hWnd == NULL || GetItemRect(nIndex, &rectItem) == LB_ERR)
        return CRect(0, 0, 0, 0);
    CSize size = GetCheckBoxSize();
    int nSpare = (rectItem.Height() - size.cy) / 2;
    if (nSpare < 0)
        nSpare = 0;
    return CRect(rectItem.left + 1, rectItem.top + nSpare, rectItem.left + 1 + size.cx,
                 rectItem.top + nSpare + size.cy);
}

void CCheckListBox::ToggleCheck(int nIndex)
{
    if (nIndex < 0 || nIndex >= GetCount() || !IsEnabled(nIndex) || !::IsWindowEnabled(m_hWnd))
        return;
    // Automatic styles change the check themselves; the others only tell the
    // parent, which sets it.
    if (m_nStyle == BS_AUTOCHECKBOX)
        SetCheck(nIndex, GetCheck(nIndex) == 1 ? 0 : 1);
    else if (m_nStyle == BS_AUTO3STATE)
        SetCheck(nIndex, (GetCheck(nIndex) + 1) % 3);
    HWND hParent = ::GetParent(m_hWnd);
    if (hParent != NULL)
    {
        ::SendMessage(hParent, WM_COMMAND,
                      MAKEWPARAM((WORD)::GetDlgCtrlID(m_hWnd), CLBN_CHKCHANGE), (LPARAM)m_hWnd);
    }
}

LRESULT CCheckListBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case LB_ADDSTRING:
    case LB_INSERTSTRING:
    {
        LRESULT lResult = CListBox::WindowProc(message, wParam, lParam);
        if (lResult >= 0)
        {
            size_t nIndex = (size_t)lResult;
            if (nIndex > m_items.size())
                m_items.resize(nIndex, ItemState{0, TRUE});
            m_items.insert(m_items.begin() + (ptrdiff_t)nIndex, ItemState{0, TRUE});
        }
        return lResult;
    }
    case LB_DELETESTRING:
    {
        LRESULT lResult = CListBox::WindowProc(message, wParam, lParam);
        if (lResult != LB_ERR && wParam < m_items.size())
            m_items.erase(m_items.begin() + (ptrdiff_t)wParam);
        return lResult;
    }
    case LB_RESETCONTENT:
        m_items.clear();
        return CListBox::WindowProc(message, wParam, lParam);
    case LB_DIR:
    {
        // Files are inserted in sorted places the list does not report:
        // start them all unchecked.
        LRESULT lResult = CListBox::WindowProc(message, wParam, lParam);
        m_items.assign((size_t)GetCount(), ItemState{0, TRUE});
        return lResult;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    {
        LRESULT lResult = CListBox::WindowProc(message, wParam, lParam);
        CPoint pt((short)LOWORD(lParam), (short)HIWORD(lParam));
        BOOL bOutside = TRUE;
        UINT nIndex = ItemFromPoint(pt, bOutside);
        if (!bOutside)
        {
            CRect rectCheck = GetCheckRect((int)nIndex);
            CRect rectHit(rectCheck.left - 1, rectCheck.top, rectCheck.right + kCheckGap,
                          rectCheck.bottom);
            if (rectHit.PtInRect(pt))
                ToggleCheck((int)nIndex);
        }
        return lResult;
    }
    case WM_KEYDOWN:
        if (wParam == VK_SPACE)
        {
            int nIndex = (GetStyle() & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0 ? GetCaretIndex()
                                                                                 : GetCurSel();
            LRESULT lResult = CListBox::WindowProc(message, wParam, lParam);
            ToggleCheck(nIndex);
            return lResult;
        }
        break;
    default:
        break;
    }
    return CListBox::WindowProc(message, wParam, lParam);
}

BOOL CCheckListBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    switch (message)
    {
    case WM_DRAWITEM:
        PreDrawItem((LPDRAWITEMSTRUCT)lParam);
        if (pResult != NULL)
            *pResult = TRUE;
        return TRUE;
    case WM_MEASUREITEM:
        MeasureItem((LPMEASUREITEMSTRUCT)lParam);
        if (pResult != NULL)
            *pResult = TRUE;
        return TRUE;
    default:
        return CListBox::OnChildNotify(message, wParam, lParam, pResult);
    }
}

void CCheckListBox::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    if (lpMeasureItemStruct != NULL)
        lpMeasureItemStruct->itemHeight = (UINT)CalcMinimumItemHeight();
}

void CCheckListBox::PreDrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (lpDrawItemStruct == NULL)
        return;
    DRAWITEMSTRUCT dis = *lpDrawItemStruct;
    CSize sizeCheck = GetCheckBoxSize();
    if (dis.itemID != (UINT)-1)
    {
        int nIndex = (int)dis.itemID;
        CRect rectItem(dis.rcItem);
        CRect rectArea(rectItem.left, rectItem.top, rectItem.left + sizeCheck.cx + kCheckGap,
                       rectItem.bottom);
        ::FillRect(dis.hDC, &rectArea, ::GetSysColorBrush(COLOR_WINDOW));

        int nSpare = (rectItem.Height() - sizeCheck.cy) / 2;
        if (nSpare < 0)
            nSpare = 0;
        CRect rectCheck(rectItem.left + 1, rectItem.top + nSpare, rectItem.left + 1 + sizeCheck.cx,
                        rectItem.top + nSpare + sizeCheck.cy);
        UINT nState = DFCS_BUTTONCHECK;
        int nCheck = GetCheck(nIndex);
        if (nCheck == 1)
            nState |= DFCS_CHECKED;
        else if (nCheck == 2)
            nState = DFCS_BUTTON3STATE | DFCS_CHECKED;
        if (!IsEnabled(nIndex) || !::IsWindowEnabled(m_hWnd))
            nState |= DFCS_INACTIVE;
        ::DrawFrameControl(dis.hDC, &rectCheck, DFC_BUTTON, nState);
    }
    dis.rcItem.left += sizeCheck.cx + kCheckGap;
    DrawItem(&dis);
}

void CCheckListBox::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (lpDrawItemStruct == NULL)
        return;
    const DRAWITEMSTRUCT& dis = *lpDrawItemStruct;
    CRect rect(dis.rcItem);
    if (dis.itemID != (UINT)-1 && (dis.itemAction & (ODA_DRAWENTIRE | ODA_SELECT)) != 0)
    {
        BOOL bDisabled = !::IsWindowEnabled(m_hWnd) || !IsEnabled((int)dis.itemID);
        BOOL bSelected = (dis.itemState & ODS_SELECTED) != 0;
        COLORREF crText = bDisabled ? RGB(0x80, 0x80, 0x80) : ::GetSysColor(COLOR_WINDOWTEXT);
        COLORREF crBack = ::GetSysColor(COLOR_WINDOW);
        if (bSelected)
        {
            crText = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
            crBack = ::GetSysColor(COLOR_HIGHLIGHT);
        }
        COLORREF crOldText = ::SetTextColor(dis.hDC, crText);
        COLORREF crOldBack = ::SetBkColor(dis.hDC, crBack);

        CString text;
        GetText((int)dis.itemID, text);
        TEXTMETRIC tm;
        ::GetTextMetrics(dis.hDC, &tm);
        int y = rect.top + (rect.Height() - tm.tmHeight) / 2;
        ::ExtTextOut(dis.hDC, rect.left + 2, y, ETO_OPAQUE | ETO_CLIPPED, &rect, text,
                     (UINT)text.GetLength(), NULL);

        ::SetTextColor(dis.hDC, crOldText);
        ::SetBkColor(dis.hDC, crOldBack);
    }
    if ((dis.itemAction & ODA_FOCUS) != 0 ||
        ((dis.itemState & ODS_FOCUS) != 0 && (dis.itemAction & ODA_DRAWENTIRE) != 0))
    {
        ::DrawFocusRect(dis.hDC, &rect);
    }
}
