// The bar edit control, its edit window and the auto-complete companion.
#include "XTPControlEdit.h"

#include "XTPCommandBar.h"
#include "XTPCommandBars.h"
#include "XTPControlAction.h"
#include "XTPControls.h"
#include "XTPPaintManager.h"
#include "XTPPopupBar.h"
#include "XTPPropExchange.h"
#include "XTPResourceManager.h"
#include "XTPToolTipContext.h"

#include <stdlib.h>

#ifndef TM_PLAINTEXT
#define TM_PLAINTEXT 1
#endif
#ifndef TM_SINGLELEVELUNDO
#define TM_SINGLELEVELUNDO 4
#endif
#ifndef EM_SETTEXTMODE
#define EM_SETTEXTMODE (WM_USER + 89)
#endif

namespace {

// The rich-edit library, loaded once and freed at exit.
struct CRichEditLibraryHolder
{
    XTP_RICHEDIT_LIBRARY lib;
    CRichEditLibraryHolder()
    {
        lib.hModule = ::LoadLibraryA("RICHED20.DLL");
        lib.bVersion2 = lib.hModule != NULL;
        lib.strClassName = "RichEdit20A";
        if (lib.hModule == NULL)
        {
            lib.hModule = ::LoadLibraryA("RICHED32.DLL");
            lib.strClassName = "RICHEDIT";
        }
        if (lib.hModule == NULL)
            lib.strClassName.Empty();
    }
    ~CRichEditLibraryHolder()
    {
        if (lib.hModule != NULL)
            ::FreeLibrary(lib.hModule);
    }
};

} // namespace

const XTP_RICHEDIT_LIBRARY* AFX_CDECL XTPRichEditLibrary()
{
    static CRichEditLibraryHolder s_holder;
    return &s_holder.lib;
}

HRESULT AFX_CDECL XTPShAutoComplete(HWND hWnd, DWORD dwFlags)
{
    typedef HRESULT(WINAPI * PFNSHAUTOCOMPLETE)(HWND, DWORD);
    HMODULE hShlwapi = ::LoadLibraryA("shlwapi.dll");
    if (hShlwapi == NULL)
        return E_FAIL;
    PFNSHAUTOCOMPLETE pfn = (PFNSHAUTOCOMPLETE)::GetProcAddress(hShlwapi, "SHAutoComplete");
    HRESULT hr = pfn != NULL ? pfn(hWnd, dwFlags) : E_FAIL;
    ::FreeLibrary(hShlwapi);
    return hr;
}

//////////////////////////////////////////////////////////////////////////
// CXTPEdit

IMPLEMENT_DYNAMIC(CXTPEdit, CEdit)

BEGIN_MESSAGE_MAP(CXTPEdit, CEdit)
    ON_MESSAGE(WM_IME_STARTCOMPOSITION, OnImeStartComposition)
    ON_MESSAGE(WM_IME_ENDCOMPOSITION, OnImeEndComposition)
    ON_WM_KILLFOCUS()
    ON_MESSAGE(WM_PASTE, OnPaste)
    ON_WM_KEYDOWN()
END_MESSAGE_MAP()

CXTPEdit::CXTPEdit() : m_bImeMode(FALSE), m_bRibbonCaption(FALSE), m_bRichEdit(FALSE)
{
}

CXTPEdit::~CXTPEdit()
{
}

BOOL CXTPEdit::CreateEdit(DWORD dwStyle, CWnd* pParentWnd)
{
    CRect rect(0, 0, 0, 0);
    const XTP_RICHEDIT_LIBRARY* pLib = XTPRichEditLibrary();
    if (pLib->hModule != NULL)
    {
        if (!CWnd::Create(pLib->strClassName, NULL, dwStyle, rect, pParentWnd, 0))
            return FALSE;
        m_bRichEdit = TRUE;
        SendMessage(EM_SETEVENTMASK, 0, ENM_CHANGE);
        SendMessage(EM_SETTEXTMODE, TM_PLAINTEXT | TM_SINGLELEVELUNDO);
        return TRUE;
    }
    m_bRichEdit = FALSE;
    return CEdit::Create(dwStyle, rect, pParentWnd, 0);
}

BOOL CXTPEdit::IsCommandEnabled(UINT nID)
{
    switch (nID)
    {
    case ID_EDIT_PASTE:
        return ::IsClipboardFormatAvailable(CF_TEXT);
    case ID_EDIT_CUT:
    case ID_EDIT_COPY:
    {
        DWORD dwStart = 0, dwEnd = 0;
        SendMessage(EM_GETSEL, (WPARAM)&dwStart, (LPARAM)&dwEnd);
        return dwStart != dwEnd;
    }
    default:
        return TRUE;
    }
}

BOOL CXTPEdit::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if ((nID == ID_EDIT_CUT || nID == ID_EDIT_COPY || nID == ID_EDIT_PASTE) && m_hWnd != NULL)
    {
        if (nCode == (int)CN_UPDATE_COMMAND_UI && pExtra != NULL)
        {
            ((CCmdUI*)pExtra)->Enable(IsCommandEnabled(nID));
            return TRUE;
        }
        if (nCode == (int)CN_COMMAND)
        {
            if (pHandlerInfo == NULL)
                OnCommand(nID, 0);
            return TRUE;
        }
    }
    return CEdit::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CXTPEdit::OnCommand(WPARAM wParam, LPARAM lParam)
{
    switch (LOWORD(wParam))
    {
    case ID_EDIT_PASTE:
        SendMessage(WM_PASTE);
        return TRUE;
    case ID_EDIT_COPY:
        SendMessage(WM_COPY);
        return TRUE;
    case ID_EDIT_CUT:
        SendMessage(WM_CUT);
        return TRUE;
    default:
        return CEdit::OnCommand(wParam, lParam);
    }
}

BOOL CXTPEdit::ProcessEditKey(UINT nChar, LPARAM lParam)
{
    BOOL bEditKey = nChar == VK_BACK || (nChar >= VK_PRIOR && nChar <= VK_DELETE);
    if (!bEditKey && ::GetKeyState(VK_CONTROL) < 0)
        bEditKey = nChar == 'C' || nChar == 'V' || nChar == 'X' || nChar == 'Z';
    if (!bEditKey || m_hWnd == NULL)
        return FALSE;
    MSG msg = {m_hWnd, WM_KEYDOWN, (WPARAM)nChar, lParam, 0, {0, 0}};
    return ::IsDialogMessageA(m_hWnd, &msg);
}

BOOL CXTPEdit::ShowContextMenu(CXTPControl* pControl, CPoint point)
{
    CString strCut;
    if (!XTPResourceManager()->LoadString(&strCut, ID_EDIT_CUT))
        return FALSE;
    CXTPCommandBar* pParent = pControl != NULL ? pControl->GetParent() : NULL;
    CXTPCommandBars* pCommandBars = pParent != NULL ? pParent->GetCommandBars() : NULL;
    if (pCommandBars == NULL)
        return FALSE;

    CXTPPopupBar* pPopupBar = CXTPPopupBar::CreatePopupBar(pCommandBars);
    if (pPopupBar == NULL)
        return FALSE;
    static const UINT kCommands[] = {ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE};
    for (UINT nID : kCommands)
    {
        CXTPControl* pItem = pPopupBar->GetControls()->Add(xtpControlButton, (int)nID);
        if (pItem != NULL)
            pItem->SetEnabled(IsCommandEnabled(nID));
    }

    ClientToScreen(&point);
    UINT nFlags = TPM_RECURSE | TPM_NONOTIFY | TPM_RETURNCMD;
    if (GetExStyle() & (WS_EX_LAYOUTRTL | WS_EX_RIGHT))
        nFlags |= TPM_RIGHTALIGN;

    // The menu is modal: moving off the box must not count as leaving it.
    CXTPMouseManager* pMouseManager = XTPMouseManager();
    pMouseManager->UnlockMouseMove();
    UINT nCmd = 0;
    CXTPCommandBars::TrackPopupBar(pPopupBar, nFlags, point.x, point.y, this, NULL, &nCmd);
    pMouseManager->LockMouseMove();
    pPopupBar->InternalRelease();

    if (nCmd != 0)
        OnCommand(nCmd, 0);
    if (pParent->GetSafeHwnd() != NULL)
        pParent->Invalidate(FALSE);
    return TRUE;
}

LRESULT CXTPEdit::OnPaste(WPARAM, LPARAM)
{
    // A rich edit in plain-text mode may stream the clipboard in over its
    // whole text (Wine's does): the clipboard's text replaces the selection
    // here instead, as Paste does in any edit box.
    if (!m_bRichEdit)
        return Default();
    if ((GetStyle() & ES_READONLY) != 0 || !::IsClipboardFormatAvailable(CF_TEXT) || !::OpenClipboard(m_hWnd))
        return 0;
    CString strText;
    HGLOBAL hData = ::GetClipboardData(CF_TEXT);
    LPCSTR pszData = hData != NULL ? (LPCSTR)::GlobalLock(hData) : NULL;
    if (pszData != NULL)
    {
        // The block need not end in a 0 within its size.
        SIZE_T nSize = ::GlobalSize(hData);
        const void* pEnd = memchr(pszData, 0, nSize);
        strText = CString(pszData, (int)(pEnd != NULL ? (LPCSTR)pEnd - pszData : (INT_PTR)nSize));
        ::GlobalUnlock(hData);
    }
    ::CloseClipboard();
    // A box of one line takes the first line of the text.
    if ((GetStyle() & ES_MULTILINE) == 0)
    {
        int nBreak = strText.FindOneOf("\r\n");
        if (nBreak >= 0)
            strText = strText.Left(nBreak);
    }
    SendMessage(EM_REPLACESEL, TRUE, (LPARAM)(LPCTSTR)strText);
    return 0;
}

void CXTPEdit::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    // The rich edit's own Ctrl+V and Shift+Insert would paste over the whole
    // text too: they go through WM_PASTE.
    BOOL bCtrl = ::GetKeyState(VK_CONTROL) < 0;
    BOOL bShift = ::GetKeyState(VK_SHIFT) < 0;
    BOOL bAlt = ::GetKeyState(VK_MENU) < 0;
    if (m_bRichEdit && !bAlt && ((nChar == 'V' && bCtrl && !bShift) || (nChar == VK_INSERT && bShift && !bCtrl)))
    {
        SendMessage(WM_PASTE);
        return;
    }
    CEdit::OnKeyDown(nChar, nRepCnt, nFlags);
}

LRESULT CXTPEdit::OnImeStartComposition(WPARAM, LPARAM)
{
    m_bImeMode = TRUE;
    return Default();
}

LRESULT CXTPEdit::OnImeEndComposition(WPARAM, LPARAM)
{
    m_bImeMode = FALSE;
    return Default();
}

void CXTPEdit::OnKillFocus(CWnd* pNewWnd)
{
    m_bImeMode = FALSE;
    CEdit::OnKillFocus(pNewWnd);
}

//////////////////////////////////////////////////////////////////////////
// CXTPControlEditTextHolder

CXTPControlEditTextHolder::CXTPControlEditTextHolder()
    : m_bTextStale(TRUE), m_dwShellAutoCompleteFlags(0), m_pAutoCompleteWnd(NULL), m_dwEditStyle(0),
      m_nLabelWidth(0), m_bFocused(FALSE), m_bDelayReposition(FALSE), m_bDelayDestroy(FALSE)
{
}

CString CXTPControlEditTextHolder::GetRawText()
{
    CXTPEdit* pEdit = GetEditWindow();
    if (pEdit != NULL && pEdit->GetSafeHwnd() != NULL && m_bTextStale)
    {
        pEdit->GetWindowText(m_strEditText);
        m_bTextStale = FALSE;
    }
    return m_strEditText;
}

namespace
{
// A box the user is not typing in shows its text from the first character.
// The window is made with no width, and setting its text there scrolls it
// sideways; a later move keeps that scroll, which cut a long text at its
// start.
void ShowTextFromStart(CXTPEdit* pEdit)
{
    if (pEdit == NULL || pEdit->GetSafeHwnd() == NULL || ::GetFocus() == pEdit->m_hWnd)
        return;
    pEdit->SendMessage(EM_SETSEL, 0, 0);
    pEdit->SendMessage(WM_HSCROLL, SB_LEFT, 0);
}
} // namespace

void CXTPControlEditTextHolder::SetRawText(LPCTSTR lpszText)
{
    CString strText(lpszText != NULL ? lpszText : "");
    CXTPEdit* pEdit = GetEditWindow();
    if (pEdit != NULL && pEdit->GetSafeHwnd() != NULL)
    {
        CString strWindow;
        pEdit->GetWindowText(strWindow);
        if (strWindow != strText)
        {
            // Emptied first, so that the change reaches the window whole.
            pEdit->SetWindowText("");
            pEdit->SetWindowText(strText);
            ShowTextFromStart(pEdit);
        }
    }
    m_strEditText = strText;
    m_bTextStale = FALSE;
}

CString CXTPControlEditTextHolder::GetEditHintText() const
{
    if (!m_strEditHint.IsEmpty())
        return m_strEditHint;
    CXTPControl* pControl = const_cast<CXTPControlEditTextHolder*>(this)->GetTextControl();
    CXTPControlAction* pAction = pControl != NULL ? pControl->GetAction() : NULL;
    return pAction != NULL ? pAction->GetEditHint() : CString();
}

CString CXTPControlEditTextHolder::GetEditTextValue()
{
    CString strText = GetRawText();
    if (!strText.IsEmpty() && strText == GetEditHintText())
        return CString();
    return strText;
}

void CXTPControlEditTextHolder::SetEditTextValue(LPCTSTR lpszText)
{
    if (lpszText == NULL || *lpszText == '\0')
        SetRawText(GetEditHintText());
    else
        SetRawText(lpszText);
}

void CXTPControlEditTextHolder::SetEditHintValue(LPCTSTR lpszHint)
{
    if (IsHintShown())
        SetRawText("");
    m_strEditHint = lpszHint != NULL ? lpszHint : "";
    if (GetRawText().IsEmpty() && !GetEditHintText().IsEmpty())
        SetRawText(GetEditHintText());
}

COLORREF CXTPControlEditTextHolder::GetEditTextColor()
{
    CXTPControl* pControl = GetTextControl();
    if (IsHintShown() || (pControl != NULL && !pControl->GetEnabled()))
        return GetXTPSysColor(COLOR_GRAYTEXT);
    return GetXTPSysColor(COLOR_WINDOWTEXT);
}

void CXTPControlEditTextHolder::FillCharFormat(CHARFORMAT2& cf)
{
    memset(&cf, 0, sizeof(cf));
    cf.dwMask = CFM_COLOR | CFM_BACKCOLOR;
    cf.crTextColor = GetEditTextColor();
    CXTPControl* pControl = GetTextControl();
    CXTPPaintManager* pPaintManager = pControl != NULL ? pControl->GetPaintManager() : NULL;
    cf.crBackColor = pPaintManager != NULL ? pPaintManager->GetControlEditBackColor(pControl)
                                           : GetXTPSysColor(COLOR_WINDOW);
}

void CXTPControlEditTextHolder::ApplyCharFormat()
{
    CXTPEdit* pEdit = GetEditWindow();
    if (pEdit == NULL || pEdit->GetSafeHwnd() == NULL || !pEdit->IsRichEdit())
        return;
    CHARFORMAT2 cf;
    CXTPControlEdit* pEditControl = dynamic_cast<CXTPControlEdit*>(GetTextControl());
    if (pEditControl != NULL)
        pEditControl->GetCharFormat(cf);
    else
        FillCharFormat(cf);
    cf.cbSize = XTPRichEditLibrary()->bVersion2 ? 84 : 60;
    pEdit->SendMessage(EM_SETCHARFORMAT, SCF_ALL, (LPARAM)&cf);
    pEdit->SendMessage(EM_SETBKGNDCOLOR, 0, (LPARAM)cf.crBackColor);
}

void CXTPControlEditTextHolder::CheckEditWindowParent()
{
    CXTPEdit* pEdit = GetEditWindow();
    CXTPCommandBar* pParent = GetTextControl()->GetParent();
    if (pEdit == NULL || pEdit->GetSafeHwnd() == NULL)
        return;
    if (m_bDelayDestroy || (pEdit->GetExStyle() & WS_EX_LAYOUTRTL) ||
        ::GetParent(pEdit->m_hWnd) != pParent->GetSafeHwnd())
    {
        m_bDelayDestroy = FALSE;
        pEdit->DestroyWindow();
    }
}

BOOL CXTPControlEditTextHolder::PlaceEditWindow(const CRect& rcEdit, BOOL bReadOnly)
{
    CXTPControl* pControl = GetTextControl();
    CXTPEdit* pEdit = GetEditWindow();
    CXTPCommandBar* pParent = pControl->GetParent();
    if (pEdit == NULL || pParent == NULL || pParent->GetSafeHwnd() == NULL)
        return FALSE;

    if (pEdit->GetSafeHwnd() == NULL)
    {
        if (!pEdit->CreateEdit(m_dwEditStyle | WS_CHILD | ES_AUTOHSCROLL, pParent))
        {
            ::OutputDebugStringA("CXTPControlEdit: the edit window cannot be created\n");
            return FALSE;
        }
        if (!pControl->GetEnabled())
            pEdit->EnableWindow(FALSE);
        if (m_dwShellAutoCompleteFlags != 0)
            AttachShellAutoComplete(m_dwShellAutoCompleteFlags);
    }

    CXTPPaintManager* pPaintManager = pControl->GetPaintManager();
    if (pPaintManager != NULL)
        pEdit->SendMessage(WM_SETFONT, (WPARAM)pPaintManager->GetControlFont()->GetSafeHandle(), FALSE);
    pEdit->SendMessage(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
    ApplyCharFormat();
    SetEditTextValue(GetEditTextValue());
    pEdit->m_bRibbonCaption = pControl->IsInRibbonCaption();
    pEdit->SendMessage(EM_SETREADONLY, bReadOnly);
    // A box that moves leaves nothing of itself behind: its bits are not
    // copied along (a copy stays painted wherever the box stood for a moment,
    // as nothing repaints the bar there), the bar repaints what the box
    // uncovered and the box paints itself at its new place.
    CRect rcOld;
    pEdit->GetWindowRect(&rcOld);
    pParent->ScreenToClient(&rcOld);
    if (rcOld != rcEdit)
        pEdit->SetWindowPos(NULL, rcEdit.left, rcEdit.top, rcEdit.Width(), rcEdit.Height(),
                            SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
    ShowTextFromStart(pEdit);
    UpdateEditVisibility();
    m_bDelayReposition = FALSE;
    return TRUE;
}

void CXTPControlEditTextHolder::UpdateEditVisibility()
{
    CXTPEdit* pEdit = GetEditWindow();
    if (pEdit == NULL || pEdit->GetSafeHwnd() == NULL)
        return;
    CXTPControl* pControl = GetTextControl();
    CXTPControlAction* pAction = pControl->GetAction();
    BOOL bShow = (pAction == NULL || pAction->IsVisible()) && pControl->GetHideFlags() == 0;
    pEdit->SetWindowPos(NULL, 0, 0, 0, 0,
                        SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE |
                            (bShow ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

void CXTPControlEditTextHolder::OnEditVisibilityChanged()
{
    UpdateEditVisibility();
    GetTextControl()->DelayLayoutParent();
}

void CXTPControlEditTextHolder::OnEditEnabledChanged()
{
    CXTPEdit* pEdit = GetEditWindow();
    if (pEdit != NULL && pEdit->GetSafeHwnd() != NULL)
        pEdit->EnableWindow(GetTextControl()->GetEnabled());
    ApplyCharFormat();
}

void CXTPControlEditTextHolder::OnEditActionChanging(int nProperty)
{
    if (nProperty == 4 && IsHintShown())
        SetRawText("");
}

void CXTPControlEditTextHolder::OnEditActionChanged(int nProperty)
{
    if (nProperty == 4 && GetRawText().IsEmpty() && !GetEditHintText().IsEmpty() && !m_bFocused)
        SetRawText(GetEditHintText());
    if (nProperty == 2)
        OnEditVisibilityChanged();
}

BOOL CXTPControlEditTextHolder::ChangeEditFocus(BOOL bFocused)
{
    if (m_bFocused == bFocused)
        return FALSE;
    m_bFocused = bFocused;

    CXTPControl* pControl = GetTextControl();
    CXTPCommandBar* pParent = pControl->GetParent();
    CXTPEdit* pEdit = GetEditWindow();
    BOOL bHasWindow = pEdit != NULL && pEdit->GetSafeHwnd() != NULL;
    if (bFocused)
    {
        if (bHasWindow && ::GetFocus() != pEdit->m_hWnd)
            pEdit->SetFocus();
        if (pParent != NULL)
        {
            pParent->SetTrackingMode(TRUE, FALSE, FALSE);
            pParent->SetSelected(pControl->GetIndex());
        }
        XTPMouseManager()->LockMouseMove();
    }
    else
    {
        if (bHasWindow && ::GetFocus() == pEdit->m_hWnd && pParent != NULL)
        {
            HWND hWndFocus = pParent->m_hwndFocus;
            if (hWndFocus == NULL || !::IsWindow(hWndFocus))
                hWndFocus = pParent->GetSite()->GetSafeHwnd();
            // A box in a menu that stays open (Escape leaves the box, not the
            // menu) hands the keyboard to the menu's window: the menu stays
            // the active window in front, with the frame's caption kept
            // active, and the window recorded gets the keyboard when the menu
            // closes. Activating the frame now could draw it over the open
            // menu (Wine raises it).
            if (pParent->IsPopupBar() && pParent->IsTrackingMode() && pParent->GetSafeHwnd() != NULL &&
                pParent->IsWindowVisible())
                hWndFocus = pParent->GetSafeHwnd();
            ::SetFocus(hWndFocus);
        }
        XTPMouseManager()->UnlockMouseMove();
    }
    return TRUE;
}

void CXTPControlEditTextHolder::AttachShellAutoComplete(DWORD dwFlags)
{
    m_dwShellAutoCompleteFlags = dwFlags;
    delete m_pAutoCompleteWnd;
    m_pAutoCompleteWnd = NULL;
    CXTPEdit* pEdit = GetEditWindow();
    if (pEdit == NULL || pEdit->GetSafeHwnd() == NULL || dwFlags == 0)
        return;
    m_pAutoCompleteWnd = new CXTPControlComboBoxAutoCompleteWnd(pEdit->m_hWnd);
    if (FAILED(XTPShAutoComplete(pEdit->m_hWnd, dwFlags)))
    {
        delete m_pAutoCompleteWnd;
        m_pAutoCompleteWnd = NULL;
    }
}

//////////////////////////////////////////////////////////////////////////
// CXTPControlTextEditCtrl

IMPLEMENT_DYNAMIC(CXTPControlTextEditCtrl, CXTPEdit)

BEGIN_MESSAGE_MAP(CXTPControlTextEditCtrl, CXTPEdit)
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_CONTROL_REFLECT_EX(EN_CHANGE, OnChange)
    ON_WM_DESTROY()
    ON_WM_LBUTTONDOWN()
    ON_WM_RBUTTONDOWN()
    ON_WM_CONTEXTMENU()
    ON_WM_MOUSEMOVE()
    ON_MESSAGE(XTP_TTM_WINDOWFROMPOINT, OnWindowFromPoint)
END_MESSAGE_MAP()

CXTPControlTextEditCtrl::CXTPControlTextEditCtrl() : m_pHolder(NULL)
{
}

LRESULT CXTPControlTextEditCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // The control's tooltip shows over the window too.
    CXTPControl* pControl = GetTextControl();
    CXTPCommandBar* pParent = pControl != NULL ? pControl->GetParent() : NULL;
    if (pParent != NULL && pParent->GetToolTipContext() != NULL)
        pParent->GetToolTipContext()->FilterToolTipMessage(pParent, message, wParam, lParam);
    return CXTPEdit::WindowProc(message, wParam, lParam);
}

LRESULT CXTPControlTextEditCtrl::OnWindowFromPoint(WPARAM, LPARAM)
{
    return 1;
}

void CXTPControlTextEditCtrl::OnSetFocus(CWnd* pOldWnd)
{
    CXTPEdit::OnSetFocus(pOldWnd);
    if (m_pHolder == NULL || GetTextControl()->IsCustomizeMode())
        return;
    m_pHolder->OnSetFocus(pOldWnd);
    SendMessage(EM_SETSEL, 0, 0);
    SendMessage(EM_SCROLLCARET);
    PostMessage(EM_SETSEL, 0, -1);
}

void CXTPControlTextEditCtrl::OnKillFocus(CWnd* pNewWnd)
{
    CXTPEdit::OnKillFocus(pNewWnd);
    if (m_pHolder != NULL)
        m_pHolder->OnKillFocus();
}

BOOL CXTPControlTextEditCtrl::OnChange()
{
    if (m_pHolder == NULL)
        return FALSE;
    m_pHolder->MarkTextStale();
    if (::GetFocus() == m_hWnd)
        m_pHolder->OnEditChanged();
    SendMessage(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
    m_pHolder->ApplyCharFormat();
    return FALSE;
}

void CXTPControlTextEditCtrl::OnDestroy()
{
    if (m_pHolder != NULL)
    {
        GetWindowText(m_pHolder->m_strEditText);
        m_pHolder->m_bTextStale = FALSE;
    }
    CXTPEdit::OnDestroy();
}

void CXTPControlTextEditCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    CXTPControl* pControl = GetTextControl();
    if (pControl != NULL && pControl->IsCustomizeMode())
    {
        // The press belongs to the bar, as one on the rest of the control
        // does: the bar decides how a customise drag of its control starts
        // (a bar that keeps its controls only lets them be copied).
        CXTPCommandBar* pParent = pControl->GetParent();
        if (pParent != NULL && pParent->GetSafeHwnd() != NULL)
        {
            MapWindowPoints(pParent, &point, 1);
            pParent->SendMessage(WM_LBUTTONDOWN, nFlags, MAKELPARAM(point.x, point.y));
        }
        return;
    }
    CXTPEdit::OnLButtonDown(nFlags, point);
}

void CXTPControlTextEditCtrl::OnRButtonDown(UINT nFlags, CPoint point)
{
    CXTPControl* pControl = GetTextControl();
    if (pControl == NULL)
    {
        CXTPEdit::OnRButtonDown(nFlags, point);
        return;
    }
    OnBeforeContextMenu();
    if (pControl->IsCustomizeMode())
    {
        CXTPCommandBar* pParent = pControl->GetParent();
        MapWindowPoints(pParent, &point, 1);
        pParent->SendMessage(WM_RBUTTONDOWN, nFlags, MAKELPARAM(point.x, point.y));
        return;
    }
    pControl->SetFocused(TRUE);
    if (!ShowContextMenu(pControl, point))
        CXTPEdit::OnRButtonDown(nFlags, point);
}

void CXTPControlTextEditCtrl::OnContextMenu(CWnd*, CPoint)
{
}

void CXTPControlTextEditCtrl::OnMouseMove(UINT nFlags, CPoint point)
{
    CXTPEdit::OnMouseMove(nFlags, point);
    CXTPControl* pControl = GetTextControl();
    CXTPCommandBar* pParent = pControl != NULL ? pControl->GetParent() : NULL;
    if (pParent != NULL && pParent->GetSafeHwnd() != NULL)
    {
        MapWindowPoints(pParent, &point, 1);
        static_cast<CXTPTrackableBar*>(pParent)->OnMouseMove(nFlags, point);
    }
}

IMPLEMENT_DYNAMIC(CXTPControlEditCtrl, CXTPControlTextEditCtrl)

//////////////////////////////////////////////////////////////////////////
// CXTPControlEdit

IMPLEMENT_DYNCREATE(CXTPControlEdit, CXTPControl)

CXTPControlEdit::CXTPControlEdit()
    : m_pEdit(NULL), m_bLabel(FALSE), m_bReadOnly(FALSE), m_bShowSpinButtons(FALSE), m_bNotified(FALSE)
{
    m_controlType = xtpControlEdit;
    m_nWidth = 100;
    EnableAutomation();
}

CXTPControlEdit::~CXTPControlEdit()
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

CXTPControlEditCtrl* CXTPControlEdit::CreateEditControl()
{
    return new CXTPControlEditCtrl();
}

BOOL CXTPControlEdit::IsCaptionVisible() const
{
    if (m_pParent != NULL && m_pParent->GetType() == xtpBarTypePopup)
        return TRUE;
    if (GetCaption().IsEmpty())
        return FALSE;
    XTPButtonStyle style = GetShownStyle();
    if (style == xtpButtonCaption || style == xtpButtonIconAndCaption || style == xtpButtonIconAndCaptionBelow)
        return TRUE;
    return m_bLabel;
}

BOOL CXTPControlEdit::IsImageVisible() const
{
    if (m_pParent != NULL && m_pParent->GetType() == xtpBarTypePopup)
        return HasIcon();
    XTPButtonStyle style = GetShownStyle();
    return (style == xtpButtonIcon || style == xtpButtonIconAndCaption) && HasIcon();
}

BOOL CXTPControlEdit::Compare(CXTPControl* pOther)
{
    return CXTPControl::Compare(pOther) && DYNAMIC_DOWNCAST(CXTPControlEdit, pOther) != NULL;
}

void CXTPControlEdit::SetReadOnly(BOOL bReadOnly)
{
    m_bReadOnly = bReadOnly;
    if (HasWindow())
        m_pEdit->SendMessage(EM_SETREADONLY, bReadOnly);
}

void CXTPControlEdit::SetRect(CRect rcControl)
{
    if (m_pEdit == NULL)
    {
        m_pEdit = CreateEditControl();
        m_pEdit->m_pHolder = this;
    }
    CheckEditWindowParent();
    if (m_rcControl == rcControl && m_pEdit->GetSafeHwnd() != NULL && !m_bDelayReposition)
        return;
    m_rcControl = rcControl;
    CRect rcEdit(rcControl.left + m_nLabelWidth + 4, rcControl.top + 3,
                 rcControl.right - (m_bShowSpinButtons ? 20 : 3), rcControl.bottom - 3);
    PlaceEditWindow(rcEdit, m_bReadOnly);
    m_bNotified = FALSE;
}

BOOL CXTPControlEdit::SetHideFlags(DWORD dwFlags)
{
    if (!CXTPControl::SetHideFlags(dwFlags))
        return FALSE;
    OnEditVisibilityChanged();
    return TRUE;
}

void CXTPControlEdit::OnCalcDynamicSize(DWORD dwMode)
{
    SetHideFlag(xtpHideExcluded, (dwMode & LM_VERTDOCK) != 0);
}

void CXTPControlEdit::SetEnabled(BOOL bEnabled)
{
    CXTPControl::SetEnabled(bEnabled);
    OnEditEnabledChanged();
}

void CXTPControlEdit::SetParent(CXTPCommandBar* pParent)
{
    if (pParent == NULL && HasWindow())
        m_pEdit->DestroyWindow();
    CXTPControl::SetParent(pParent);
}

void CXTPControlEdit::GetCharFormat(CHARFORMAT2& cf)
{
    FillCharFormat(cf);
}

void CXTPControlEdit::OnActionChanging(int nProperty)
{
    OnEditActionChanging(nProperty);
}

void CXTPControlEdit::OnActionChanged(int nProperty)
{
    OnEditActionChanged(nProperty);
}

void CXTPControlEdit::EnableShellAutoComplete(DWORD dwFlags)
{
    AttachShellAutoComplete(dwFlags);
}

void CXTPControlEdit::Copy(CXTPControl* pControl, BOOL bRecursive)
{
    CXTPControlEdit* pEdit = DYNAMIC_DOWNCAST(CXTPControlEdit, pControl);
    if (pEdit != NULL)
    {
        m_bLabel = pEdit->m_bLabel;
        m_bReadOnly = pEdit->m_bReadOnly;
        m_strEditHint = pEdit->m_strEditHint;
        m_dwShellAutoCompleteFlags = pEdit->m_dwShellAutoCompleteFlags;
        m_dwEditStyle = pEdit->m_dwEditStyle;
        m_bShowSpinButtons = pEdit->m_bShowSpinButtons;
        SetEditTextValue(pEdit->GetEditTextValue());
    }
    CXTPControl::Copy(pControl, bRecursive);
}

//////////////////////////////////////////////////////////////////////////
// Focus

void CXTPControlEdit::OnSetFocus(CWnd* pOldWnd)
{
    if (IsHintShown())
        SetRawText("");
    m_strLastText = GetRawText();
    if (m_pParent != NULL)
    {
        if (m_pParent->m_hwndFocus == NULL)
        {
            CWnd* pSite = m_pParent->GetSite();
            m_pParent->m_hwndFocus = pOldWnd != NULL ? pOldWnd->GetSafeHwnd() : pSite->GetSafeHwnd();
        }
        m_pParent->SetPopuped(-1);
    }
    SetFocused(TRUE);
    if (m_pAutoCompleteWnd != NULL)
        m_pAutoCompleteWnd->SetupHooks(TRUE);
}

void CXTPControlEdit::OnKillFocus()
{
    if (GetRawText().IsEmpty() && !GetEditHintText().IsEmpty())
        SetRawText(GetEditHintText());
    SetFocused(FALSE);
    if (m_pAutoCompleteWnd != NULL)
        m_pAutoCompleteWnd->SetupHooks(FALSE);
}

void CXTPControlEdit::SetFocused(BOOL bFocused)
{
    // The count of focused bar edits moves only when the state does.
    if (!ChangeEditFocus(bFocused))
        return;
    NotifySite(bFocused ? XTP_EN_SETFOCUS : XTP_EN_KILLFOCUS);
    RedrawParent(FALSE);
}

void CXTPControlEdit::OnEditChanged()
{
    NotifySite(XTP_EN_CHANGE);
}

BOOL CXTPControlEdit::OnSetSelected(int bSelected)
{
    BOOL bChanged = CXTPControl::OnSetSelected(bSelected);
    if (bSelected == 0)
    {
        SetFocused(FALSE);
        ApplyCharFormat();
    }
    return bChanged;
}

void CXTPControlEdit::OnMouseHover()
{
    // While a bar edit has the focus, leaving the box closes nothing.
    if (XTPMouseManager()->GetLockCount() > 0)
        return;
    CXTPControl::OnMouseHover();
}

void CXTPControlEdit::ExecuteFromKeyboard()
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars != NULL)
        pCommandBars->HideKeyboardTips();
    SetFocused(TRUE);
}

//////////////////////////////////////////////////////////////////////////
// Clicks and keys

void CXTPControlEdit::OnClick(BOOL bKeyboard, CPoint pt)
{
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
        // Enter on a box that has the keyboard runs its command; on a box
        // only selected (a menu's, reached with the arrows) it takes the
        // keyboard.
        if (HasWindow() && ::GetFocus() == m_pEdit->m_hWnd)
            OnExecute();
        else if (HasWindow() && GetEnabled())
            SetFocused(TRUE);
        return;
    }
    if (m_bShowSpinButtons && GetSpinButtonsRect().PtInRect(pt))
    {
        CRect rcSpin = GetSpinButtonsRect();
        TrackSpinButton(pt.y < rcSpin.CenterPoint().y);
        return;
    }
    if (HasWindow())
        m_pEdit->SetFocus();
}

int CXTPControlEdit::OnHookKeyDown(UINT nChar, LPARAM lParam)
{
    if (!m_bFocused || !HasWindow())
        return 0;
    if (m_pEdit->IsImeComposing())
        return 2;
    if (nChar == VK_TAB || nChar == VK_RETURN)
        return 0;

    if (nChar == VK_ESCAPE)
    {
        SetRawText(m_strLastText.IsEmpty() ? GetEditHintText() : m_strLastText);
        SetFocused(FALSE);
        return m_pParent != NULL && m_pParent->GetPosition() == xtpBarPopup ? 1 : 0;
    }

    if (::GetKeyState(VK_MENU) < 0 && ::GetKeyState(VK_CONTROL) >= 0)
    {
        CXTPCommandBars* pCommandBars = GetCommandBars();
        if (pCommandBars != NULL && pCommandBars->OnFrameAccel((TCHAR)nChar))
            return 1;
    }

    if ((nChar == VK_UP || nChar == VK_DOWN) && m_bShowSpinButtons)
    {
        DoSpin(1, nChar == VK_UP ? +1 : -1);
        if (::GetFocus() == m_pEdit->m_hWnd)
        {
            m_pEdit->SendMessage(EM_SETSEL, 0, -1);
            m_pEdit->SendMessage(EM_SCROLLCARET);
        }
        return 1;
    }

    if (m_pAutoCompleteWnd != NULL && m_pAutoCompleteWnd->PreTranslateKey(nChar))
        return 1;

    return m_pEdit->ProcessEditKey(nChar, lParam) ? 1 : 2;
}

CRect CXTPControlEdit::GetSpinButtonsRect() const
{
    if (!m_bShowSpinButtons)
        return CRect(0, 0, 0, 0);
    return CRect(m_rcControl.right - 19, m_rcControl.top + 1, m_rcControl.right - 1, m_rcControl.bottom - 1);
}

void CXTPControlEdit::DoSpin(int nStep, int nDirection)
{
    NMXTPUPDOWN nm;
    memset(&nm, 0, sizeof(nm));
    nm.iDelta = nStep * nDirection;
    if (NotifySite(NULL, nDirection >= 1 ? XTP_UDN_UP : XTP_UDN_DOWN, &nm) != 0)
        return;

    // A text that is not a number counts as 0.
    int nValue = atoi(GetEditTextValue()) + nStep * nDirection;
    if (nStep > 0)
    {
        while (nValue % nStep != 0)
            nValue += nDirection;
    }
    CString strValue;
    strValue.Format("%i", nValue);
    SetEditTextValue(strValue);
    NotifySite(XTP_EN_SPINCHANGED);
}

void CXTPControlEdit::OnMouseMove(CPoint point)
{
    if (!m_bShowSpinButtons || !GetEnabled() || m_nSelected == 0)
        return;
    CRect rcSpin = GetSpinButtonsRect();
    int nSelected = 1;
    if (rcSpin.PtInRect(point))
        nSelected = point.y < rcSpin.CenterPoint().y ? 3 : 4;
    if (nSelected != m_nSelected)
    {
        m_nSelected = nSelected;
        RedrawParent(FALSE);
    }
}

void CXTPControlEdit::TrackSpinButton(BOOL bUp)
{
    CXTPCommandBar* pParent = m_pParent;
    if (pParent == NULL || pParent->GetSafeHwnd() == NULL)
        return;
    InternalAddRef();
    pParent->SetSelected(-1);
    pParent->SetSelected(m_nIndex);
    int nPart = bUp ? 3 : 4;
    m_nPressed = m_nSelected = nPart;
    RedrawParent(FALSE);
    DoSpin(1, bUp ? +1 : -1);

    pParent->SetCapture();
    ::SetTimer(pParent->m_hWnd, XTP_TID_SPIN, 530, NULL);
    DWORD dwStart = ::GetTickCount();
    BOOL bFirstTick = TRUE;
    CRect rcSpin = GetSpinButtonsRect();
    CRect rcPart = rcSpin;
    if (bUp)
        rcPart.bottom = rcSpin.CenterPoint().y;
    else
        rcPart.top = rcSpin.CenterPoint().y;

    while (::GetCapture() == pParent->m_hWnd)
    {
        MSG msg;
        if (!::GetMessageA(&msg, NULL, 0, 0))
        {
            ::PostQuitMessage((int)msg.wParam);
            break;
        }
        if (msg.message == WM_LBUTTONUP)
            break;
        if (msg.message == WM_MOUSEMOVE && msg.hwnd == pParent->m_hWnd)
        {
            CPoint pt((short)LOWORD(msg.lParam), (short)HIWORD(msg.lParam));
            int nNew = rcPart.PtInRect(pt) ? nPart : 1;
            if (nNew != m_nSelected)
            {
                m_nSelected = nNew;
                dwStart = ::GetTickCount();
                RedrawParent(FALSE);
            }
            continue;
        }
        if (msg.message == WM_TIMER && msg.hwnd == pParent->m_hWnd && msg.wParam == XTP_TID_SPIN)
        {
            if (m_nSelected == nPart)
            {
                // Held longer, the value runs faster.
                DWORD dwSeconds = (::GetTickCount() - dwStart) / 1024;
                DoSpin(dwSeconds >= 5 ? 20 : dwSeconds >= 2 ? 5 : 1, bUp ? +1 : -1);
            }
            if (bFirstTick)
            {
                ::SetTimer(pParent->m_hWnd, XTP_TID_SPIN, 100, NULL);
                bFirstTick = FALSE;
            }
            continue;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }

    ::KillTimer(pParent->m_hWnd, XTP_TID_SPIN);
    m_nPressed = 0;
    if (::GetCapture() == pParent->m_hWnd)
        ::ReleaseCapture();
    RedrawParent(FALSE);
    if (pParent->GetPosition() != xtpBarPopup)
        pParent->SetTrackingMode(FALSE);
    InternalRelease();
}

//////////////////////////////////////////////////////////////////////////
// CXTPControlComboBoxAutoCompleteWnd

HHOOK CXTPControlComboBoxAutoCompleteWnd::s_hHook = NULL;
CXTPControlComboBoxAutoCompleteWnd* CXTPControlComboBoxAutoCompleteWnd::s_pActive = NULL;

CXTPControlComboBoxAutoCompleteWnd::CXTPControlComboBoxAutoCompleteWnd(HWND hWndEdit)
    : m_hWndDropDown(NULL), m_hWndEdit(hWndEdit)
{
}

CXTPControlComboBoxAutoCompleteWnd::~CXTPControlComboBoxAutoCompleteWnd()
{
    SetupHooks(FALSE);
}

void CXTPControlComboBoxAutoCompleteWnd::SetupHooks(BOOL bSetup)
{
    if (bSetup)
    {
        if (s_hHook != NULL)
            return;
        s_hHook = ::SetWindowsHookExA(WH_CALLWNDPROC, CallWndProc, NULL, ::GetCurrentThreadId());
        XTPKeyboardManager()->HookKeyboard(this);
        s_pActive = this;
        return;
    }
    if (s_pActive == this)
    {
        if (s_hHook != NULL)
            ::UnhookWindowsHookEx(s_hHook);
        s_hHook = NULL;
        XTPKeyboardManager()->UnhookKeyboard(this);
        s_pActive = NULL;
    }
    if (m_hWndDropDown != NULL)
    {
        XTPMouseManager()->RemoveTrusted(m_hWndDropDown);
        m_hWndDropDown = NULL;
    }
}

LRESULT CALLBACK CXTPControlComboBoxAutoCompleteWnd::CallWndProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    const CWPSTRUCT* pMsg = (const CWPSTRUCT*)lParam;
    if (nCode == HC_ACTION && pMsg != NULL && pMsg->message == WM_WINDOWPOSCHANGING && s_pActive != NULL)
        s_pActive->OnWindowPosChanging(pMsg->hwnd, (const WINDOWPOS*)pMsg->lParam);
    return ::CallNextHookEx(s_hHook, nCode, wParam, lParam);
}

void CXTPControlComboBoxAutoCompleteWnd::OnWindowPosChanging(HWND hWnd, const WINDOWPOS* pWndPos)
{
    if (pWndPos == NULL)
        return;
    if (m_hWndDropDown == NULL)
    {
        if ((pWndPos->flags & SWP_SHOWWINDOW) == 0)
            return;
        char szClass[64] = {0};
        ::GetClassNameA(hWnd, szClass, sizeof(szClass));
        if (lstrcmpA(szClass, "Auto-Suggest Dropdown") != 0)
            return;
        m_hWndDropDown = hWnd;
        XTPMouseManager()->AddTrusted(hWnd);
        ::PostMessageA(m_hWndEdit, XTP_WM_AUTOCOMPLETESHOWN, 0, 0);
    }
    else if (hWnd == m_hWndDropDown && pWndPos->flags >= SWP_HIDEWINDOW)
    {
        XTPMouseManager()->RemoveTrusted(m_hWndDropDown);
        m_hWndDropDown = NULL;
    }
}

int CXTPControlComboBoxAutoCompleteWnd::OnHookMessage(HWND, UINT nMessage, WPARAM&, LPARAM&, LRESULT&)
{
    if (m_hWndDropDown != NULL && nMessage == WM_MOUSEWHEEL)
        return hookStop;
    return hookContinue;
}

BOOL CXTPControlComboBoxAutoCompleteWnd::PreTranslateKey(UINT nChar)
{
    if (m_hWndDropDown == NULL || ::GetKeyState(VK_MENU) < 0)
        return FALSE;
    if (nChar != VK_UP && nChar != VK_DOWN && nChar != VK_PRIOR && nChar != VK_NEXT)
        return FALSE;
    // The list sits at the end of the drop-down's first child.
    HWND hWndList = ::GetWindow(m_hWndDropDown, GW_CHILD);
    HWND hWndTarget = hWndList != NULL ? ::GetWindow(hWndList, GW_CHILD) : NULL;
    if (hWndTarget != NULL)
        hWndTarget = ::GetWindow(hWndTarget, GW_HWNDLAST);
    if (hWndTarget == NULL)
        hWndTarget = hWndList != NULL ? hWndList : m_hWndDropDown;
    MSG msg = {hWndTarget, WM_KEYDOWN, (WPARAM)nChar, 0, 0, {0, 0}};
    ::IsDialogMessageA(m_hWndDropDown, &msg);
    return TRUE;
}

void CXTPControlComboBoxAutoCompleteWnd::HideDropDown()
{
    if (m_hWndDropDown != NULL)
        ::ShowWindow(m_hWndDropDown, SW_HIDE);
}

//////////////////////////////////////////////////////////////////////////
// Stored form

void CXTPControlEdit::DoPropExchange(CXTPPropExchange* pPX)
{
    CXTPControl::DoPropExchange(pPX);
    int nSchema = pPX->GetSchema();
    if (nSchema > 5)
    {
        PropExchangeBool(pPX, "HasLabel", m_bLabel, FALSE);
        PropExchangeLongWithDefault(pPX, "Width", m_nWidth, 0);
    }
    if (nSchema > 7)
        PropExchangeBool(pPX, "ReadOnly", m_bReadOnly, FALSE);
    if (nSchema > 8)
    {
        PropExchangeStringWithDefault(pPX, "EditHint", m_strEditHint, "");
        PropExchangeLongWithDefault(pPX, "ShellAutoCompleteFlags", m_dwShellAutoCompleteFlags, 0);
    }
    if (nSchema > 16)
        PropExchangeLongWithDefault(pPX, "EditStyle", m_dwEditStyle, 0);
    if (nSchema > 18)
        PropExchangeBool(pPX, "ShowSpinButtons", m_bShowSpinButtons, FALSE);
    if (pPX->IsLoading())
        EnableShellAutoComplete(m_dwShellAutoCompleteFlags);
}
