// Standard controls: CStatic, CButton, CEdit, CListBox, CComboBox, CScrollBar.
#include <afxwin.h>

#include "wndimpl.h"

#include <commctrl.h>

IMPLEMENT_DYNAMIC(CStatic, CWnd)
IMPLEMENT_DYNAMIC(CButton, CWnd)
IMPLEMENT_DYNAMIC(CEdit, CWnd)
IMPLEMENT_DYNAMIC(CListBox, CWnd)
IMPLEMENT_DYNAMIC(CComboBox, CWnd)
IMPLEMENT_DYNAMIC(CScrollBar, CWnd)

#define BM_SEND(msg, wp, lp) ::SendMessage(m_hWnd, (msg), (WPARAM)(wp), (LPARAM)(lp))

// ---------------------------------------------------------------------------
// CStatic

namespace
{
// The subclass of a static control that owns the picture it loaded
// (dwRefData): at WM_NCDESTROY the picture goes, unless the control shows
// another by then or the system freed it with the control.
LRESULT CALLBACK AfxStaticPictureProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam, UINT_PTR uIdSubclass,
                                      DWORD_PTR dwRefData)
{
    if (nMsg != WM_NCDESTROY)
        return ::DefSubclassProc(hWnd, nMsg, wParam, lParam);
    ::RemoveWindowSubclass(hWnd, &AfxStaticPictureProc, uIdSubclass);
    const HBITMAP hOwn = (HBITMAP)dwRefData;
    const bool bShown = (HBITMAP)::SendMessage(hWnd, STM_GETIMAGE, IMAGE_BITMAP, 0) == hOwn;
    const LRESULT lResult = ::DefSubclassProc(hWnd, nMsg, wParam, lParam);
    if (bShown && ::GetObjectType(hOwn) == OBJ_BITMAP)
        ::DeleteObject(hOwn);
    return lResult;
}
} // namespace

void AFXAPI AfxOwnStaticPicture(HWND hWnd)
{
    // Only bitmaps: the icons a static control loads from its text are the
    // system's shared ones, which nobody frees.
    char szClass[8] = "";
    if (hWnd == NULL || ::GetClassNameA(hWnd, szClass, sizeof(szClass)) == 0 || lstrcmpiA(szClass, "Static") != 0 ||
        (::GetWindowLongPtr(hWnd, GWL_STYLE) & SS_TYPEMASK) != SS_BITMAP)
        return;
    const HBITMAP hPicture = (HBITMAP)::SendMessage(hWnd, STM_GETIMAGE, IMAGE_BITMAP, 0);
    if (hPicture != NULL && !::SetWindowSubclass(hWnd, &AfxStaticPictureProc, 0, (DWORD_PTR)hPicture))
        TRACE("static control: the picture it loaded will not be freed with it\n");
}

CStatic::~CStatic()
{
    DestroyWindow();
}

BOOL CStatic::Create(LPCTSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    if (!CWnd::Create("STATIC", lpszText, dwStyle, rect, pParentWnd, nID))
        return FALSE;
    AfxOwnStaticPicture(m_hWnd);
    return TRUE;
}

HICON CStatic::SetIcon(HICON hIcon)
{
    return (HICON)BM_SEND(STM_SETICON, hIcon, 0);
}

HICON CStatic::GetIcon() const
{
    return (HICON)BM_SEND(STM_GETICON, 0, 0);
}

HENHMETAFILE CStatic::SetEnhMetaFile(HENHMETAFILE hMetaFile)
{
    return (HENHMETAFILE)BM_SEND(STM_SETIMAGE, IMAGE_ENHMETAFILE, hMetaFile);
}

HENHMETAFILE CStatic::GetEnhMetaFile() const
{
    return (HENHMETAFILE)BM_SEND(STM_GETIMAGE, IMAGE_ENHMETAFILE, 0);
}

HBITMAP CStatic::SetBitmap(HBITMAP hBitmap)
{
    return (HBITMAP)BM_SEND(STM_SETIMAGE, IMAGE_BITMAP, hBitmap);
}

HBITMAP CStatic::GetBitmap() const
{
    return (HBITMAP)BM_SEND(STM_GETIMAGE, IMAGE_BITMAP, 0);
}

HCURSOR CStatic::SetCursor(HCURSOR hCursor)
{
    return (HCURSOR)BM_SEND(STM_SETIMAGE, IMAGE_CURSOR, hCursor);
}

HCURSOR CStatic::GetCursor()
{
    return (HCURSOR)BM_SEND(STM_GETIMAGE, IMAGE_CURSOR, 0);
}

void CStatic::DrawItem(LPDRAWITEMSTRUCT)
{
    // SS_OWNERDRAW statics override this.
}

BOOL CStatic::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message != WM_DRAWITEM)
        return CWnd::OnChildNotify(message, wParam, lParam, pResult);
    return AfxReflectDrawItem(this, lParam, pResult);
}

// ---------------------------------------------------------------------------
// CButton

CButton::~CButton()
{
    DestroyWindow();
}

BOOL CButton::Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create("BUTTON", lpszCaption, dwStyle, rect, pParentWnd, nID);
}

UINT CButton::GetState() const
{
    return (UINT)BM_SEND(BM_GETSTATE, 0, 0);
}

void CButton::SetState(BOOL bHighlight)
{
    BM_SEND(BM_SETSTATE, bHighlight, 0);
}

int CButton::GetCheck() const
{
    return (int)BM_SEND(BM_GETCHECK, 0, 0);
}

void CButton::SetCheck(int nCheck)
{
    BM_SEND(BM_SETCHECK, nCheck, 0);
}

UINT CButton::GetButtonStyle() const
{
    return (UINT)::GetWindowLong(m_hWnd, GWL_STYLE) & 0xFFFF;
}

void CButton::SetButtonStyle(UINT nStyle, BOOL bRedraw)
{
    BM_SEND(BM_SETSTYLE, nStyle, bRedraw);
}

HICON CButton::SetIcon(HICON hIcon)
{
    return (HICON)BM_SEND(BM_SETIMAGE, IMAGE_ICON, hIcon);
}

HICON CButton::GetIcon() const
{
    return (HICON)BM_SEND(BM_GETIMAGE, IMAGE_ICON, 0);
}

HBITMAP CButton::SetBitmap(HBITMAP hBitmap)
{
    return (HBITMAP)BM_SEND(BM_SETIMAGE, IMAGE_BITMAP, hBitmap);
}

HBITMAP CButton::GetBitmap() const
{
    return (HBITMAP)BM_SEND(BM_GETIMAGE, IMAGE_BITMAP, 0);
}

HCURSOR CButton::SetCursor(HCURSOR hCursor)
{
    return (HCURSOR)BM_SEND(BM_SETIMAGE, IMAGE_CURSOR, hCursor);
}

HCURSOR CButton::GetCursor()
{
    return (HCURSOR)BM_SEND(BM_GETIMAGE, IMAGE_CURSOR, 0);
}

void CButton::DrawItem(LPDRAWITEMSTRUCT)
{
    // BS_OWNERDRAW buttons override this.
}

BOOL CButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message != WM_DRAWITEM)
        return CWnd::OnChildNotify(message, wParam, lParam, pResult);
    return AfxReflectDrawItem(this, lParam, pResult);
}

// ---------------------------------------------------------------------------
// CEdit

CEdit::~CEdit()
{
    DestroyWindow();
}

BOOL CEdit::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create("EDIT", NULL, dwStyle, rect, pParentWnd, nID);
}

BOOL CEdit::CanUndo() const
{
    return (BOOL)BM_SEND(EM_CANUNDO, 0, 0);
}

int CEdit::GetLineCount() const
{
    return (int)BM_SEND(EM_GETLINECOUNT, 0, 0);
}

BOOL CEdit::GetModify() const
{
    return (BOOL)BM_SEND(EM_GETMODIFY, 0, 0);
}

void CEdit::SetModify(BOOL bModified)
{
    BM_SEND(EM_SETMODIFY, bModified, 0);
}

void CEdit::GetRect(LPRECT lpRect) const
{
    BM_SEND(EM_GETRECT, 0, lpRect);
}

DWORD CEdit::GetSel() const
{
    return (DWORD)BM_SEND(EM_GETSEL, 0, 0);
}

void CEdit::GetSel(int& nStartChar, int& nEndChar) const
{
    DWORD dwStart = 0, dwEnd = 0;
    BM_SEND(EM_GETSEL, &dwStart, &dwEnd);
    nStartChar = (int)dwStart;
    nEndChar = (int)dwEnd;
}

HLOCAL CEdit::GetHandle() const
{
    return (HLOCAL)BM_SEND(EM_GETHANDLE, 0, 0);
}

void CEdit::SetHandle(HLOCAL hBuffer)
{
    BM_SEND(EM_SETHANDLE, hBuffer, 0);
}

void CEdit::SetMargins(UINT nLeft, UINT nRight)
{
    BM_SEND(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(nLeft, nRight));
}

DWORD CEdit::GetMargins() const
{
    return (DWORD)BM_SEND(EM_GETMARGINS, 0, 0);
}

void CEdit::SetLimitText(UINT nMax)
{
    BM_SEND(EM_SETLIMITTEXT, nMax, 0);
}

UINT CEdit::GetLimitText() const
{
    return (UINT)BM_SEND(EM_GETLIMITTEXT, 0, 0);
}

CPoint CEdit::PosFromChar(UINT nChar) const
{
    LRESULT l = BM_SEND(EM_POSFROMCHAR, nChar, 0);
    return CPoint((short)LOWORD(l), (short)HIWORD(l));
}

int CEdit::CharFromPos(CPoint pt) const
{
    return (int)BM_SEND(EM_CHARFROMPOS, 0, MAKELPARAM(pt.x, pt.y));
}

int CEdit::GetLine(int nIndex, LPTSTR lpszBuffer) const
{
    // The caller has put the buffer's size into its first WORD.
    if (lpszBuffer == NULL)
        return 0;
    return (int)BM_SEND(EM_GETLINE, nIndex, lpszBuffer);
}

int CEdit::GetLine(int nIndex, LPTSTR lpszBuffer, int nMaxLength) const
{
    if (lpszBuffer == NULL || nMaxLength < (int)sizeof(WORD))
        return 0;
    *(LPWORD)lpszBuffer = (WORD)(nMaxLength > 0xFFFF ? 0xFFFF : nMaxLength);
    return (int)BM_SEND(EM_GETLINE, nIndex, lpszBuffer);
}

void CEdit::EmptyUndoBuffer()
{
    BM_SEND(EM_EMPTYUNDOBUFFER, 0, 0);
}

BOOL CEdit::FmtLines(BOOL bAddEOL)
{
    return (BOOL)BM_SEND(EM_FMTLINES, bAddEOL, 0);
}

void CEdit::LimitText(int nChars)
{
    BM_SEND(EM_LIMITTEXT, nChars, 0);
}

int CEdit::LineFromChar(int nIndex) const
{
    return (int)BM_SEND(EM_LINEFROMCHAR, nIndex, 0);
}

int CEdit::LineIndex(int nLine) const
{
    return (int)BM_SEND(EM_LINEINDEX, nLine, 0);
}

int CEdit::LineLength(int nLine) const
{
    return (int)BM_SEND(EM_LINELENGTH, nLine, 0);
}

void CEdit::LineScroll(int nLines, int nChars)
{
    BM_SEND(EM_LINESCROLL, nChars, nLines);
}

void CEdit::ReplaceSel(LPCTSTR lpszNewText, BOOL bCanUndo)
{
    BM_SEND(EM_REPLACESEL, bCanUndo, lpszNewText != NULL ? lpszNewText : "");
}

void CEdit::SetPasswordChar(TCHAR ch)
{
    BM_SEND(EM_SETPASSWORDCHAR, (BYTE)ch, 0);
}

TCHAR CEdit::GetPasswordChar() const
{
    return (TCHAR)BM_SEND(EM_GETPASSWORDCHAR, 0, 0);
}

void CEdit::SetRect(LPCRECT lpRect)
{
    BM_SEND(EM_SETRECT, 0, lpRect);
}

void CEdit::SetRectNP(LPCRECT lpRect)
{
    BM_SEND(EM_SETRECTNP, 0, lpRect);
}

void CEdit::SetSel(DWORD dwSelection, BOOL bNoScroll)
{
    BM_SEND(EM_SETSEL, LOWORD(dwSelection), HIWORD(dwSelection));
    if (!bNoScroll)
        BM_SEND(EM_SCROLLCARET, 0, 0);
}

void CEdit::SetSel(int nStartChar, int nEndChar, BOOL bNoScroll)
{
    BM_SEND(EM_SETSEL, nStartChar, nEndChar);
    if (!bNoScroll)
        BM_SEND(EM_SCROLLCARET, 0, 0);
}

BOOL CEdit::SetTabStops(int nTabStops, LPINT rgTabStops)
{
    return (BOOL)BM_SEND(EM_SETTABSTOPS, nTabStops, rgTabStops);
}

void CEdit::SetTabStops()
{
    BM_SEND(EM_SETTABSTOPS, 0, 0);
}

BOOL CEdit::SetTabStops(const int& cxEachStop)
{
    return (BOOL)BM_SEND(EM_SETTABSTOPS, 1, &cxEachStop);
}

BOOL CEdit::Undo()
{
    return (BOOL)BM_SEND(EM_UNDO, 0, 0);
}

void CEdit::Clear()
{
    BM_SEND(WM_CLEAR, 0, 0);
}

void CEdit::Copy()
{
    BM_SEND(WM_COPY, 0, 0);
}

void CEdit::Cut()
{
    BM_SEND(WM_CUT, 0, 0);
}

void CEdit::Paste()
{
    BM_SEND(WM_PASTE, 0, 0);
}

BOOL CEdit::SetReadOnly(BOOL bReadOnly)
{
    return (BOOL)BM_SEND(EM_SETREADONLY, bReadOnly, 0);
}

int CEdit::GetFirstVisibleLine() const
{
    return (int)BM_SEND(EM_GETFIRSTVISIBLELINE, 0, 0);
}

// ---------------------------------------------------------------------------
// CListBox

CListBox::~CListBox()
{
    DestroyWindow();
}

BOOL CListBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create("LISTBOX", NULL, dwStyle, rect, pParentWnd, nID);
}

int CListBox::GetCount() const
{
    return (int)BM_SEND(LB_GETCOUNT, 0, 0);
}

int CListBox::GetHorizontalExtent() const
{
    return (int)BM_SEND(LB_GETHORIZONTALEXTENT, 0, 0);
}

void CListBox::SetHorizontalExtent(int cxExtent)
{
    BM_SEND(LB_SETHORIZONTALEXTENT, cxExtent, 0);
}

int CListBox::GetTopIndex() const
{
    return (int)BM_SEND(LB_GETTOPINDEX, 0, 0);
}

int CListBox::SetTopIndex(int nIndex)
{
    return (int)BM_SEND(LB_SETTOPINDEX, nIndex, 0);
}

LCID CListBox::GetLocale() const
{
    return (LCID)BM_SEND(LB_GETLOCALE, 0, 0);
}

LCID CListBox::SetLocale(LCID nNewLocale)
{
    return (LCID)BM_SEND(LB_SETLOCALE, nNewLocale, 0);
}

int CListBox::InitStorage(int nItems, UINT nBytes)
{
    return (int)BM_SEND(LB_INITSTORAGE, nItems, nBytes);
}

UINT CListBox::ItemFromPoint(CPoint pt, BOOL& bOutside) const
{
    DWORD dw = (DWORD)BM_SEND(LB_ITEMFROMPOINT, 0, MAKELPARAM(pt.x, pt.y));
    bOutside = HIWORD(dw) != 0;
    return LOWORD(dw);
}

int CListBox::GetCurSel() const
{
    return (int)BM_SEND(LB_GETCURSEL, 0, 0);
}

int CListBox::SetCurSel(int nSelect)
{
    return (int)BM_SEND(LB_SETCURSEL, nSelect, 0);
}

int CListBox::GetSel(int nIndex) const
{
    return (int)BM_SEND(LB_GETSEL, nIndex, 0);
}

int CListBox::SetSel(int nIndex, BOOL bSelect)
{
    return (int)BM_SEND(LB_SETSEL, bSelect, nIndex);
}

int CListBox::GetSelCount() const
{
    return (int)BM_SEND(LB_GETSELCOUNT, 0, 0);
}

int CListBox::GetSelItems(int nMaxItems, LPINT rgIndex) const
{
    if (rgIndex == NULL || nMaxItems <= 0)
        return 0;
    return (int)BM_SEND(LB_GETSELITEMS, nMaxItems, rgIndex);
}

void CListBox::SetAnchorIndex(int nIndex)
{
    BM_SEND(LB_SETANCHORINDEX, nIndex, 0);
}

int CListBox::GetAnchorIndex() const
{
    return (int)BM_SEND(LB_GETANCHORINDEX, 0, 0);
}

int CListBox::SelItemRange(BOOL bSelect, int nFirstItem, int nLastItem)
{
    if (bSelect)
        return (int)BM_SEND(LB_SELITEMRANGEEX, nFirstItem, nLastItem);
    return (int)BM_SEND(LB_SELITEMRANGEEX, nLastItem, nFirstItem);
}

DWORD_PTR CListBox::GetItemData(int nIndex) const
{
    return (DWORD_PTR)BM_SEND(LB_GETITEMDATA, nIndex, 0);
}

int CListBox::SetItemData(int nIndex, DWORD_PTR dwItemData)
{
    return (int)BM_SEND(LB_SETITEMDATA, nIndex, dwItemData);
}

void* CListBox::GetItemDataPtr(int nIndex) const
{
    return (void*)GetItemData(nIndex);
}

int CListBox::SetItemDataPtr(int nIndex, void* pData)
{
    return SetItemData(nIndex, (DWORD_PTR)pData);
}

int CListBox::GetItemRect(int nIndex, LPRECT lpRect) const
{
    return (int)BM_SEND(LB_GETITEMRECT, nIndex, lpRect);
}

int CListBox::GetText(int nIndex, LPTSTR lpszBuffer) const
{
    if (lpszBuffer == NULL)
        return LB_ERR;
    return (int)BM_SEND(LB_GETTEXT, nIndex, lpszBuffer);
}

void CListBox::GetText(int nIndex, CString& rString) const
{
    rString.Empty();
    int nLength = GetTextLen(nIndex);
    if (nLength == LB_ERR || nLength < 0)
        return;
    // A little slack: some lists report the length before a change lands.
    LPTSTR pBuffer = rString.GetBuffer(nLength + 1);
    pBuffer[0] = '\0';
    int nCopied = (int)BM_SEND(LB_GETTEXT, nIndex, pBuffer);
    if (nCopied < 0 || nCopied > nLength)
        nCopied = nCopied < 0 ? 0 : nLength;
    rString.ReleaseBuffer(nCopied);
}

int CListBox::GetTextLen(int nIndex) const
{
    return (int)BM_SEND(LB_GETTEXTLEN, nIndex, 0);
}

void CListBox::SetColumnWidth(int cxWidth)
{
    BM_SEND(LB_SETCOLUMNWIDTH, cxWidth, 0);
}

BOOL CListBox::SetTabStops(int nTabStops, LPINT rgTabStops)
{
    return (BOOL)BM_SEND(LB_SETTABSTOPS, nTabStops, rgTabStops);
}

void CListBox::SetTabStops()
{
    BM_SEND(LB_SETTABSTOPS, 0, 0);
}

BOOL CListBox::SetTabStops(const int& cxEachStop)
{
    return (BOOL)BM_SEND(LB_SETTABSTOPS, 1, &cxEachStop);
}

int CListBox::SetItemHeight(int nIndex, UINT cyItemHeight)
{
    return (int)BM_SEND(LB_SETITEMHEIGHT, nIndex, MAKELONG(cyItemHeight, 0));
}

int CListBox::GetItemHeight(int nIndex) const
{
    return (int)BM_SEND(LB_GETITEMHEIGHT, nIndex, 0);
}

int CListBox::FindStringExact(int nIndexStart, LPCTSTR lpszFind) const
{
    return (int)BM_SEND(LB_FINDSTRINGEXACT, nIndexStart, lpszFind);
}

int CListBox::GetCaretIndex() const
{
    return (int)BM_SEND(LB_GETCARETINDEX, 0, 0);
}

int CListBox::SetCaretIndex(int nIndex, BOOL bScroll)
{
    return (int)BM_SEND(LB_SETCARETINDEX, nIndex, MAKELONG(bScroll, 0));
}

int CListBox::AddString(LPCTSTR lpszItem)
{
    return (int)BM_SEND(LB_ADDSTRING, 0, lpszItem);
}

int CListBox::DeleteString(UINT nIndex)
{
    return (int)BM_SEND(LB_DELETESTRING, nIndex, 0);
}

int CListBox::InsertString(int nIndex, LPCTSTR lpszItem)
{
    return (int)BM_SEND(LB_INSERTSTRING, nIndex, lpszItem);
}

void CListBox::ResetContent()
{
    BM_SEND(LB_RESETCONTENT, 0, 0);
}

int CListBox::Dir(UINT attr, LPCTSTR lpszWildCard)
{
    return (int)BM_SEND(LB_DIR, attr, lpszWildCard);
}

int CListBox::FindString(int nStartAfter, LPCTSTR lpszItem) const
{
    return (int)BM_SEND(LB_FINDSTRING, nStartAfter, lpszItem);
}

int CListBox::SelectString(int nStartAfter, LPCTSTR lpszItem)
{
    return (int)BM_SEND(LB_SELECTSTRING, nStartAfter, lpszItem);
}

void CListBox::DrawItem(LPDRAWITEMSTRUCT)
{
    // Owner-drawn lists override this.
}

void CListBox::MeasureItem(LPMEASUREITEMSTRUCT)
{
    // Variable-height lists override this.
}

int CListBox::CompareItem(LPCOMPAREITEMSTRUCT)
{
    return 0;
}

void CListBox::DeleteItem(LPDELETEITEMSTRUCT)
{
}

int CListBox::VKeyToItem(UINT, UINT)
{
    return -1; // default action
}

int CListBox::CharToItem(UINT, UINT)
{
    return -1; // default action
}

BOOL CListBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT lResult = 0;
    switch (message)
    {
    case WM_DRAWITEM:
        DrawItem((LPDRAWITEMSTRUCT)lParam);
        lResult = TRUE;
        break;
    case WM_MEASUREITEM:
        MeasureItem((LPMEASUREITEMSTRUCT)lParam);
        lResult = TRUE;
        break;
    case WM_COMPAREITEM:
        lResult = CompareItem((LPCOMPAREITEMSTRUCT)lParam);
        break;
    case WM_DELETEITEM:
        DeleteItem((LPDELETEITEMSTRUCT)lParam);
        lResult = TRUE;
        break;
    case WM_VKEYTOITEM:
        lResult = VKeyToItem(LOWORD(wParam), HIWORD(wParam));
        break;
    case WM_CHARTOITEM:
        lResult = CharToItem(LOWORD(wParam), HIWORD(wParam));
        break;
    default:
        return CWnd::OnChildNotify(message, wParam, lParam, pResult);
    }
    if (pResult != NULL)
        *pResult = lResult;
    return TRUE;
}

// ---------------------------------------------------------------------------
// CComboBox

CComboBox::~CComboBox()
{
    DestroyWindow();
}

BOOL CComboBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create("COMBOBOX", NULL, dwStyle, rect, pParentWnd, nID);
}

int CComboBox::GetCount() const
{
    return (int)BM_SEND(CB_GETCOUNT, 0, 0);
}

int CComboBox::GetCurSel() const
{
    return (int)BM_SEND(CB_GETCURSEL, 0, 0);
}

int CComboBox::SetCurSel(int nSelect)
{
    return (int)BM_SEND(CB_SETCURSEL, nSelect, 0);
}

LCID CComboBox::GetLocale() const
{
    return (LCID)BM_SEND(CB_GETLOCALE, 0, 0);
}

LCID CComboBox::SetLocale(LCID nNewLocale)
{
    return (LCID)BM_SEND(CB_SETLOCALE, nNewLocale, 0);
}

int CComboBox::GetTopIndex() const
{
    return (int)BM_SEND(CB_GETTOPINDEX, 0, 0);
}

int CComboBox::SetTopIndex(int nIndex)
{
    return (int)BM_SEND(CB_SETTOPINDEX, nIndex, 0);
}

int CComboBox::InitStorage(int nItems, UINT nBytes)
{
    return (int)BM_SEND(CB_INITSTORAGE, nItems, nBytes);
}

void CComboBox::SetHorizontalExtent(UINT nExtent)
{
    BM_SEND(CB_SETHORIZONTALEXTENT, nExtent, 0);
}

UINT CComboBox::GetHorizontalExtent() const
{
    return (UINT)BM_SEND(CB_GETHORIZONTALEXTENT, 0, 0);
}

int CComboBox::SetDroppedWidth(UINT nWidth)
{
    return (int)BM_SEND(CB_SETDROPPEDWIDTH, nWidth, 0);
}

int CComboBox::GetDroppedWidth() const
{
    return (int)BM_SEND(CB_GETDROPPEDWIDTH, 0, 0);
}

DWORD CComboBox::GetEditSel() const
{
    return (DWORD)BM_SEND(CB_GETEDITSEL, 0, 0);
}

BOOL CComboBox::LimitText(int nMaxChars)
{
    return (BOOL)BM_SEND(CB_LIMITTEXT, nMaxChars, 0);
}

BOOL CComboBox::SetEditSel(int nStartChar, int nEndChar)
{
    return (BOOL)BM_SEND(CB_SETEDITSEL, 0, MAKELONG(nStartChar, nEndChar));
}

DWORD_PTR CComboBox::GetItemData(int nIndex) const
{
    return (DWORD_PTR)BM_SEND(CB_GETITEMDATA, nIndex, 0);
}

int CComboBox::SetItemData(int nIndex, DWORD_PTR dwItemData)
{
    return (int)BM_SEND(CB_SETITEMDATA, nIndex, dwItemData);
}

void* CComboBox::GetItemDataPtr(int nIndex) const
{
    return (void*)GetItemData(nIndex);
}

int CComboBox::SetItemDataPtr(int nIndex, void* pData)
{
    return SetItemData(nIndex, (DWORD_PTR)pData);
}

int CComboBox::GetLBText(int nIndex, LPTSTR lpszText) const
{
    if (lpszText == NULL)
        return CB_ERR;
    return (int)BM_SEND(CB_GETLBTEXT, nIndex, lpszText);
}

void CComboBox::GetLBText(int nIndex, CString& rString) const
{
    rString.Empty();
    int nLength = GetLBTextLen(nIndex);
    if (nLength == CB_ERR || nLength < 0)
        return;
    LPTSTR pBuffer = rString.GetBuffer(nLength + 1);
    pBuffer[0] = '\0';
    int nCopied = (int)BM_SEND(CB_GETLBTEXT, nIndex, pBuffer);
    if (nCopied < 0 || nCopied > nLength)
        nCopied = nCopied < 0 ? 0 : nLength;
    rString.ReleaseBuffer(nCopied);
}

int CComboBox::GetLBTextLen(int nIndex) const
{
    return (int)BM_SEND(CB_GETLBTEXTLEN, nIndex, 0);
}

int CComboBox::SetItemHeight(int nIndex, UINT cyItemHeight)
{
    return (int)BM_SEND(CB_SETITEMHEIGHT, nIndex, MAKELONG(cyItemHeight, 0));
}

int CComboBox::GetItemHeight(int nIndex) const
{
    return (int)BM_SEND(CB_GETITEMHEIGHT, nIndex, 0);
}

int CComboBox::FindStringExact(int nIndexStart, LPCTSTR lpszFind) const
{
    return (int)BM_SEND(CB_FINDSTRINGEXACT, nIndexStart, lpszFind);
}

int CComboBox::SetExtendedUI(BOOL bExtended)
{
    return (int)BM_SEND(CB_SETEXTENDEDUI, bExtended, 0);
}

BOOL CComboBox::GetExtendedUI() const
{
    return (BOOL)BM_SEND(CB_GETEXTENDEDUI, 0, 0);
}

void CComboBox::GetDroppedControlRect(LPRECT lprect) const
{
    BM_SEND(CB_GETDROPPEDCONTROLRECT, 0, lprect);
}

BOOL CComboBox::GetDroppedState() const
{
    return (BOOL)BM_SEND(CB_GETDROPPEDSTATE, 0, 0);
}

BOOL CComboBox::GetComboBoxInfo(PCOMBOBOXINFO pcbi) const
{
    if (pcbi == NULL)
        return FALSE;
    pcbi->cbSize = sizeof(COMBOBOXINFO);
    return ::GetComboBoxInfo(m_hWnd, pcbi);
}

void CComboBox::ShowDropDown(BOOL bShowIt)
{
    BM_SEND(CB_SHOWDROPDOWN, bShowIt, 0);
}

int CComboBox::AddString(LPCTSTR lpszString)
{
    return (int)BM_SEND(CB_ADDSTRING, 0, lpszString);
}

int CComboBox::DeleteString(UINT nIndex)
{
    return (int)BM_SEND(CB_DELETESTRING, nIndex, 0);
}

int CComboBox::InsertString(int nIndex, LPCTSTR lpszString)
{
    return (int)BM_SEND(CB_INSERTSTRING, nIndex, lpszString);
}

void CComboBox::ResetContent()
{
    BM_SEND(CB_RESETCONTENT, 0, 0);
}

int CComboBox::Dir(UINT attr, LPCTSTR lpszWildCard)
{
    return (int)BM_SEND(CB_DIR, attr, lpszWildCard);
}

int CComboBox::FindString(int nStartAfter, LPCTSTR lpszString) const
{
    return (int)BM_SEND(CB_FINDSTRING, nStartAfter, lpszString);
}

int CComboBox::SelectString(int nStartAfter, LPCTSTR lpszString)
{
    return (int)BM_SEND(CB_SELECTSTRING, nStartAfter, lpszString);
}

void CComboBox::Clear()
{
    BM_SEND(WM_CLEAR, 0, 0);
}

void CComboBox::Copy()
{
    BM_SEND(WM_COPY, 0, 0);
}

void CComboBox::Cut()
{
    BM_SEND(WM_CUT, 0, 0);
}

void CComboBox::Paste()
{
    BM_SEND(WM_PASTE, 0, 0);
}

void CComboBox::DrawItem(LPDRAWITEMSTRUCT)
{
    // Owner-drawn combo boxes override this.
}

void CComboBox::MeasureItem(LPMEASUREITEMSTRUCT)
{
}

int CComboBox::CompareItem(LPCOMPAREITEMSTRUCT)
{
    return 0;
}

void CComboBox::DeleteItem(LPDELETEITEMSTRUCT)
{
}

BOOL CComboBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT lResult = 0;
    switch (message)
    {
    case WM_DRAWITEM:
        DrawItem((LPDRAWITEMSTRUCT)lParam);
        lResult = TRUE;
        break;
    case WM_MEASUREITEM:
        MeasureItem((LPMEASUREITEMSTRUCT)lParam);
        lResult = TRUE;
        break;
    case WM_COMPAREITEM:
        lResult = CompareItem((LPCOMPAREITEMSTRUCT)lParam);
        break;
    case WM_DELETEITEM:
        DeleteItem((LPDELETEITEMSTRUCT)lParam);
        lResult = TRUE;
        break;
    default:
        return CWnd::OnChildNotify(message, wParam, lParam, pResult);
    }
    if (pResult != NULL)
        *pResult = lResult;
    return TRUE;
}

// ---------------------------------------------------------------------------
// CScrollBar

CScrollBar::~CScrollBar()
{
    DestroyWindow();
}

BOOL CScrollBar::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create("SCROLLBAR", NULL, dwStyle, rect, pParentWnd, nID);
}

int CScrollBar::GetScrollPos() const
{
    return ::GetScrollPos(m_hWnd, SB_CTL);
}

int CScrollBar::SetScrollPos(int nPos, BOOL bRedraw)
{
    return ::SetScrollPos(m_hWnd, SB_CTL, nPos, bRedraw);
}

void CScrollBar::GetScrollRange(LPINT lpMinPos, LPINT lpMaxPos) const
{
    int nMin = 0, nMax = 0;
    ::GetScrollRange(m_hWnd, SB_CTL, &nMin, &nMax);
    if (lpMinPos != NULL)
        *lpMinPos = nMin;
    if (lpMaxPos != NULL)
        *lpMaxPos = nMax;
}

void CScrollBar::SetScrollRange(int nMinPos, int nMaxPos, BOOL bRedraw)
{
    ::SetScrollRange(m_hWnd, SB_CTL, nMinPos, nMaxPos, bRedraw);
}

void CScrollBar::ShowScrollBar(BOOL bShow)
{
    ::ShowScrollBar(m_hWnd, SB_CTL, bShow);
}

BOOL CScrollBar::EnableScrollBar(UINT nArrowFlags)
{
    return ::EnableScrollBar(m_hWnd, SB_CTL, nArrowFlags);
}

BOOL CScrollBar::SetScrollInfo(LPSCROLLINFO lpScrollInfo, BOOL bRedraw)
{
    if (lpScrollInfo == NULL)
        return FALSE;
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    ::SetScrollInfo(m_hWnd, SB_CTL, lpScrollInfo, bRedraw);
    return TRUE;
}

BOOL CScrollBar::GetScrollInfo(LPSCROLLINFO lpScrollInfo, UINT nMask)
{
    if (lpScrollInfo == NULL)
        return FALSE;
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    lpScrollInfo->fMask = nMask;
    return ::GetScrollInfo(m_hWnd, SB_CTL, lpScrollInfo);
}

int CScrollBar::GetScrollLimit()
{
    SCROLLINFO info;
    memset(&info, 0, sizeof(info));
    if (!GetScrollInfo(&info, SIF_RANGE | SIF_PAGE))
        return 0;
    int nLimit = info.nMax;
    if (info.nPage > 1)
        nLimit -= (int)info.nPage - 1;
    return nLimit;
}
