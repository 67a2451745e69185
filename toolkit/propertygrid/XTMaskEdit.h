// A masked edit: an edit control whose text follows a template. The literal
// holds, for every position, either a fixed character or the prompt
// character; the positions holding the prompt are input positions, and the
// mask character at such a position decides what may be typed there:
//   0 digit                      9 digit or blank
//   # digit, blank, - or +       d digit, blank, -, +, . or ,
//   H hexadecimal digit          X hexadecimal digit or blank
//   A letter or digit            a letter or digit, else as ?
//   ? letter or blank            L letter
//   < letter, stored lower case  > letter, stored upper case
//   & any printable character
// Masking is active only while it is enabled, the window exists, the edit is
// not read-only and a mask is set; otherwise every operation is the plain
// edit control's.
#pragma once

#include "XTPCommon.h"

#include <ctype.h>

template <class BASE>
class CXTMaskEditT : public BASE
{
public:
    CXTMaskEditT();
    virtual ~CXTMaskEditT() {}

    // Stores the mask and the literal (FALSE when their lengths differ) and
    // shows the default text, or the literal when there is none.
    virtual BOOL SetEditMask(LPCTSTR lpszMask, LPCTSTR lpszLiteral, LPCTSTR lpszDefault = NULL);
    // TRUE when the character may be typed at the position (it may change
    // the character's case).
    virtual BOOL CheckChar(TCHAR& nChar, int nPos);
    // The mask test of one input position.
    virtual BOOL ProcessMask(TCHAR& nChar, int nEndPos);
    virtual BOOL IsPrintable(TCHAR nChar) const;
    virtual BOOL IsAlpha(TCHAR nChar) const;
    // A key that changes nothing at this position; beeps.
    virtual void NotifyPosNotInRange();
    // A character that the mask refuses; beeps.
    virtual void NotifyInvalidCharacter(TCHAR nChar, TCHAR chMask);

    // Replaces the prompt character (in the literal and the text too when
    // bUpdate is set).
    void SetPromptChar(TCHAR ch, BOOL bUpdate = TRUE);
    TCHAR GetPromptChar() const { return m_chPrompt; }

    void SetUseMask(BOOL bUseMask) { m_bUseMask = bUseMask; }
    BOOL IsUseMask() const { return m_bUseMask; }
    // TRUE while masking is active (see above).
    BOOL CanUseMask() const;
    void SetOverType(BOOL bOverType) { m_bOverType = bOverType; }
    BOOL GetOverType() const { return m_bOverType; }
    BOOL IsModified() const { return m_bModified; }
    CString GetMask() const { return m_strMask; }
    CString GetLiteral() const { return m_strLiteral; }
    CString GetDefaultText() const { return m_strDefault; }
    CString GetUndoText() const { return m_strUndoBuffer; }
    // TRUE at the positions where the literal holds the prompt character.
    BOOL IsInputPosition(int nPos) const;

    // Clipboard and editing operations on the input characters.
    void MaskCopy();
    void MaskCut();
    void MaskPaste();
    void MaskClear();
    void MaskUndo();
    void MaskSelectAll();

    virtual BOOL PreTranslateMessage(MSG* pMsg);

protected:
    // Kinds of text update; a plain update that follows a plain update keeps
    // the undo text, so one undo takes back a run of typing.
    enum UpdateKind
    {
        updatePlain = 1,
        updateDelete = 2,
        updateClipboard = 3
    };

    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg LRESULT OnCopyMsg(WPARAM, LPARAM);
    afx_msg LRESULT OnCutMsg(WPARAM, LPARAM);
    afx_msg LRESULT OnPasteMsg(WPARAM, LPARAM);
    afx_msg LRESULT OnClearMsg(WPARAM, LPARAM);
    afx_msg LRESULT OnUndoMsg(WPARAM, LPARAM);
    afx_msg void OnEditCopy() { MaskCopy(); }
    afx_msg void OnEditCut() { MaskCut(); }
    afx_msg void OnEditPaste() { MaskPaste(); }
    afx_msg void OnEditClear() { MaskClear(); }
    afx_msg void OnEditUndo() { MaskUndo(); }
    afx_msg void OnEditSelectAll() { MaskSelectAll(); }
    DECLARE_MESSAGE_MAP()

    // The first input position at or after nPos, else the last one before
    // it; nPos itself when there is no input position.
    int NextInputPosition(int nPos) const;
    // The last input position at or before nPos, else the first one after it.
    int PrevInputPosition(int nPos) const;
    // The characters of the text at input positions in [nFrom, nTo).
    CString GetInputChars(const CString& strText, int nFrom, int nTo) const;
    // The text before nPos, then the literal from nPos filled with the source
    // characters at input positions (a refused character is offered again at
    // the next input position).
    CString RebuildText(const CString& strText, int nPos, const CString& strSource) const;
    // The text cut or padded (with the literal's tail) to the literal's length.
    CString FitToLiteral(const CString& strText) const;
    // Deletes the input characters of [nStart, nEnd): the later input
    // characters move left and the tail is padded from the literal.
    CString DeleteRange(const CString& strText, int nStart, int nEnd) const;
    // Shows the text (when it differs) and restores the selection.
    void UpdateWindowText(const CString& strText, int nKind, int nSelStart, int nSelEnd);
    // Reads the window text and the selection into the working state.
    void ReadState();

    int m_nStartChar;
    int m_nEndChar;
    BOOL m_bUseMask;
    BOOL m_bOverType;
    BOOL m_bRedo;          // the undo text holds the text before the last undo
    BOOL m_bModified;
    TCHAR m_chPrompt;
    CString m_strMask;
    CString m_strDefault;
    CString m_strUndoBuffer;
    CString m_strRedoBuffer;
    CString m_strWindowText;
    CString m_strLiteral;
    int m_nLastUpdate;
};

//////////////////////////////////////////////////////////////////////////
// Implementation

template <class BASE>
CXTMaskEditT<BASE>::CXTMaskEditT()
    : m_nStartChar(0), m_nEndChar(0), m_bUseMask(TRUE), m_bOverType(FALSE), m_bRedo(FALSE), m_bModified(FALSE),
      m_chPrompt('_'), m_nLastUpdate(updatePlain)
{
}

BEGIN_TEMPLATE_MESSAGE_MAP(CXTMaskEditT, BASE, BASE)
    ON_WM_CHAR()
    ON_WM_KEYDOWN()
    ON_WM_SETFOCUS()
    ON_MESSAGE(WM_COPY, OnCopyMsg)
    ON_MESSAGE(WM_CUT, OnCutMsg)
    ON_MESSAGE(WM_PASTE, OnPasteMsg)
    ON_MESSAGE(WM_CLEAR, OnClearMsg)
    ON_MESSAGE(WM_UNDO, OnUndoMsg)
    ON_COMMAND(ID_EDIT_COPY, OnEditCopy)
    ON_COMMAND(ID_EDIT_CUT, OnEditCut)
    ON_COMMAND(ID_EDIT_PASTE, OnEditPaste)
    ON_COMMAND(ID_EDIT_CLEAR, OnEditClear)
    ON_COMMAND(ID_EDIT_UNDO, OnEditUndo)
    ON_COMMAND(ID_EDIT_SELECT_ALL, OnEditSelectAll)
END_MESSAGE_MAP()

template <class BASE>
BOOL CXTMaskEditT<BASE>::CanUseMask() const
{
    return m_bUseMask && ::IsWindow(this->m_hWnd) && (this->GetStyle() & ES_READONLY) == 0 && !m_strMask.IsEmpty();
}

template <class BASE>
BOOL CXTMaskEditT<BASE>::IsInputPosition(int nPos) const
{
    return nPos >= 0 && nPos < m_strLiteral.GetLength() && m_strLiteral[nPos] == m_chPrompt;
}

template <class BASE>
int CXTMaskEditT<BASE>::NextInputPosition(int nPos) const
{
    int nLength = m_strLiteral.GetLength();
    for (int i = (nPos < 0 ? 0 : nPos); i < nLength; i++)
    {
        if (IsInputPosition(i))
            return i;
    }
    for (int i = (nPos > nLength ? nLength : nPos) - 1; i >= 0; i--)
    {
        if (IsInputPosition(i))
            return i;
    }
    return nPos;
}

template <class BASE>
int CXTMaskEditT<BASE>::PrevInputPosition(int nPos) const
{
    int nLength = m_strLiteral.GetLength();
    for (int i = (nPos >= nLength ? nLength - 1 : nPos); i >= 0; i--)
    {
        if (IsInputPosition(i))
            return i;
    }
    for (int i = (nPos < 0 ? 0 : nPos); i < nLength; i++)
    {
        if (IsInputPosition(i))
            return i;
    }
    return nPos;
}

template <class BASE>
BOOL CXTMaskEditT<BASE>::IsAlpha(TCHAR nChar) const
{
    int ch = (BYTE)nChar;
    return isalpha(ch) || toupper(ch) != ch || tolower(ch) != ch;
}

template <class BASE>
BOOL CXTMaskEditT<BASE>::IsPrintable(TCHAR nChar) const
{
    return isprint((BYTE)nChar) || IsAlpha(nChar);
}

template <class BASE>
BOOL CXTMaskEditT<BASE>::ProcessMask(TCHAR& nChar, int nEndPos)
{
    if (nEndPos < 0 || nEndPos >= m_strMask.GetLength())
        return FALSE;
    int ch = (BYTE)nChar;
    BOOL bDigit = isdigit(ch) != 0;
    BOOL bSpace = isspace(ch) != 0;
    switch (m_strMask[nEndPos])
    {
    case '0':
        return bDigit;
    case '9':
        return bDigit || bSpace;
    case '#':
        return bDigit || bSpace || ch == '-' || ch == '+';
    case 'd':
        return bDigit || bSpace || ch == '-' || ch == '+' || ch == '.' || ch == ',';
    case 'H':
        return isxdigit(ch) != 0;
    case 'X':
        return isxdigit(ch) || bSpace;
    case 'A':
        return isalnum(ch) || IsAlpha(nChar);
    case 'a':
        return isalnum(ch) || IsAlpha(nChar) || bSpace;
    case '?':
        return IsAlpha(nChar) || bSpace;
    case 'L':
        return IsAlpha(nChar);
    case '<':
        if (!IsAlpha(nChar))
            return FALSE;
        nChar = (TCHAR)tolower(ch);
        return TRUE;
    case '>':
        if (!IsAlpha(nChar))
            return FALSE;
        nChar = (TCHAR)toupper(ch);
        return TRUE;
    case '&':
        return IsPrintable(nChar);
    default:
        return FALSE;
    }
}

template <class BASE>
BOOL CXTMaskEditT<BASE>::CheckChar(TCHAR& nChar, int nPos)
{
    if (!CanUseMask())
        return FALSE;
    if (!IsPrintable(nChar))
        return TRUE;
    if (nPos >= m_strMask.GetLength() || !IsInputPosition(nPos))
        return FALSE;
    return ProcessMask(nChar, nPos);
}

template <class BASE>
void CXTMaskEditT<BASE>::NotifyPosNotInRange()
{
    ::MessageBeep((UINT)-1);
}

template <class BASE>
void CXTMaskEditT<BASE>::NotifyInvalidCharacter(TCHAR /*nChar*/, TCHAR /*chMask*/)
{
    ::MessageBeep((UINT)-1);
}

template <class BASE>
CString CXTMaskEditT<BASE>::GetInputChars(const CString& strText, int nFrom, int nTo) const
{
    CString strResult;
    int nLength = strText.GetLength();
    for (int i = (nFrom < 0 ? 0 : nFrom); i < nTo && i < nLength; i++)
    {
        if (IsInputPosition(i))
            strResult += strText[i];
    }
    return strResult;
}

template <class BASE>
CString CXTMaskEditT<BASE>::RebuildText(const CString& strText, int nPos, const CString& strSource) const
{
    CString strResult = strText.Left(nPos);
    while (strResult.GetLength() < nPos && strResult.GetLength() < m_strLiteral.GetLength())
        strResult += m_strLiteral[strResult.GetLength()];
    int nSource = 0;
    for (int i = nPos; i < m_strLiteral.GetLength() && nSource < strSource.GetLength(); i++)
    {
        if (IsInputPosition(i))
        {
            TCHAR ch = strSource[nSource];
            if (ch == m_chPrompt || const_cast<CXTMaskEditT*>(this)->ProcessMask(ch, i))
            {
                strResult += ch;
                nSource++;
            }
            else
                strResult += m_strLiteral[i];
        }
        else
            strResult += m_strLiteral[i];
    }
    return strResult;
}

template <class BASE>
CString CXTMaskEditT<BASE>::FitToLiteral(const CString& strText) const
{
    int nLength = m_strLiteral.GetLength();
    if (strText.GetLength() >= nLength)
        return strText.Left(nLength);
    return strText + m_strLiteral.Mid(strText.GetLength());
}

template <class BASE>
CString CXTMaskEditT<BASE>::DeleteRange(const CString& strText, int nStart, int nEnd) const
{
    if (nEnd <= nStart)
        return strText;
    CString strTail = GetInputChars(strText, nEnd, strText.GetLength());
    return FitToLiteral(RebuildText(strText, nStart, strTail));
}

template <class BASE>
void CXTMaskEditT<BASE>::ReadState()
{
    this->GetWindowText(m_strWindowText);
    this->GetSel(m_nStartChar, m_nEndChar);
}

template <class BASE>
void CXTMaskEditT<BASE>::UpdateWindowText(const CString& strText, int nKind, int nSelStart, int nSelEnd)
{
    CString strNew = FitToLiteral(strText);
    CString strOld;
    this->GetWindowText(strOld);
    if (strNew != strOld)
    {
        if (!(nKind == updatePlain && m_nLastUpdate == updatePlain && m_bModified))
            m_strUndoBuffer = strOld;
        m_bRedo = FALSE;
        this->SetWindowText(strNew);
        m_bModified = TRUE;
    }
    m_nLastUpdate = nKind;
    m_strWindowText = strNew;
    m_nStartChar = nSelStart;
    m_nEndChar = nSelEnd;
    this->SetSel(nSelStart, nSelEnd);
    this->SendMessage(EM_SCROLLCARET);
}

template <class BASE>
BOOL CXTMaskEditT<BASE>::SetEditMask(LPCTSTR lpszMask, LPCTSTR lpszLiteral, LPCTSTR lpszDefault)
{
    m_strMask = lpszMask != NULL ? lpszMask : "";
    m_strLiteral = lpszLiteral != NULL ? lpszLiteral : "";
    if (m_strMask.GetLength() != m_strLiteral.GetLength())
        return FALSE;

    if (lpszDefault != NULL && *lpszDefault != 0)
    {
        m_strDefault = lpszDefault;
        if (m_strDefault.GetLength() != m_strLiteral.GetLength())
            m_strWindowText = FitToLiteral(RebuildText(CString(), 0, m_strDefault));
        else
            m_strWindowText = m_strDefault;
    }
    else
    {
        m_strDefault = m_strLiteral;
        m_strWindowText = m_strLiteral;
    }
    m_bRedo = FALSE;
    m_bModified = FALSE;
    if (::IsWindow(this->m_hWnd))
        this->SetWindowText(m_strWindowText);
    m_strUndoBuffer = m_strWindowText;
    return TRUE;
}

template <class BASE>
void CXTMaskEditT<BASE>::SetPromptChar(TCHAR ch, BOOL bUpdate)
{
    if (ch != m_chPrompt && bUpdate)
    {
        for (int i = 0; i < m_strLiteral.GetLength(); i++)
        {
            if (m_strLiteral[i] == m_chPrompt)
                m_strLiteral.SetAt(i, ch);
        }
        for (int i = 0; i < m_strWindowText.GetLength(); i++)
        {
            if (m_strWindowText[i] == m_chPrompt)
                m_strWindowText.SetAt(i, ch);
        }
        if (::IsWindow(this->m_hWnd))
            this->SetWindowText(m_strWindowText);
    }
    m_chPrompt = ch;
}

template <class BASE>
void CXTMaskEditT<BASE>::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (!CanUseMask())
    {
        BASE::OnChar(nChar, nRepCnt, nFlags);
        return;
    }
    // The key-down handler has already dealt with these two keys.
    if (nChar == VK_BACK || nChar == VK_SPACE)
        return;

    ReadState();
    int nStart = NextInputPosition(m_nStartChar);
    if (!IsInputPosition(nStart) || nStart > m_strLiteral.GetLength())
    {
        NotifyPosNotInRange();
        return;
    }
    TCHAR ch = (TCHAR)nChar;
    if (!CheckChar(ch, nStart))
    {
        NotifyInvalidCharacter(ch, m_strMask[nStart]);
        return;
    }
    if (!IsPrintable(ch))
    {
        if ((BYTE)ch != 127)
            BASE::OnChar(nChar, nRepCnt, nFlags);
        return;
    }

    CString strText = m_strWindowText;
    if (m_nStartChar != m_nEndChar)
    {
        strText = DeleteRange(strText, m_nStartChar, m_nEndChar);
        nStart = NextInputPosition(m_nStartChar);
    }
    strText = FitToLiteral(strText);
    if (m_bOverType)
        strText.SetAt(nStart, ch);
    else
        strText = RebuildText(strText, nStart, CString(ch) + GetInputChars(strText, nStart, strText.GetLength()));

    int nCaret = nStart + 1;
    while (nCaret < m_strLiteral.GetLength() && !IsInputPosition(nCaret))
        nCaret++;
    UpdateWindowText(strText, updatePlain, nCaret, nCaret);
}

template <class BASE>
void CXTMaskEditT<BASE>::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (!CanUseMask())
    {
        BASE::OnKeyDown(nChar, nRepCnt, nFlags);
        return;
    }
    BOOL bShift = ::GetKeyState(VK_SHIFT) < 0;
    BOOL bCtrl = ::GetKeyState(VK_CONTROL) < 0;

    ReadState();
    CString strText = FitToLiteral(m_strWindowText);
    switch (nChar)
    {
    case VK_BACK:
        if (m_nStartChar == 0 || m_nStartChar > m_strLiteral.GetLength())
        {
            NotifyPosNotInRange();
            return;
        }
        if (m_nStartChar == m_nEndChar)
        {
            int nPos = m_nStartChar - 1;
            while (nPos >= 0 && !IsInputPosition(nPos))
                nPos--;
            if (nPos < 0)
            {
                NotifyPosNotInRange();
                return;
            }
            if (m_bOverType)
                strText.SetAt(nPos, nPos < m_strDefault.GetLength() ? m_strDefault[nPos] : m_chPrompt);
            else
                strText = DeleteRange(strText, nPos, nPos + 1);
            UpdateWindowText(strText, updateDelete, nPos, nPos);
        }
        else
            UpdateWindowText(DeleteRange(strText, m_nStartChar, m_nEndChar), updateDelete, m_nStartChar, m_nStartChar);
        return;

    case VK_SPACE:
    {
        int nPos = m_nStartChar;
        if (!IsInputPosition(nPos))
        {
            NotifyPosNotInRange();
            return;
        }
        if (m_nStartChar != m_nEndChar)
            strText = DeleteRange(strText, m_nStartChar, m_nEndChar);
        TCHAR ch = ' ';
        if (!ProcessMask(ch, nPos))
            ch = m_chPrompt;
        strText.SetAt(nPos, ch);
        int nCaret = nPos + 1;
        while (nCaret < m_strLiteral.GetLength() && !IsInputPosition(nCaret))
            nCaret++;
        UpdateWindowText(strText, updatePlain, nCaret, nCaret);
        return;
    }

    case VK_END:
    case VK_RIGHT:
    case VK_DOWN:
    {
        BASE::OnKeyDown(nChar, nRepCnt, nFlags);
        int nStart, nEnd;
        this->GetSel(nStart, nEnd);
        nEnd = NextInputPosition(nEnd);
        if (!bShift)
            nStart = nEnd;
        UpdateWindowText(strText, updatePlain, nStart, nEnd);
        return;
    }

    case VK_HOME:
    case VK_LEFT:
    case VK_UP:
    {
        BASE::OnKeyDown(nChar, nRepCnt, nFlags);
        int nStart, nEnd;
        this->GetSel(nStart, nEnd);
        nStart = PrevInputPosition(nStart);
        if (!bShift)
            nEnd = nStart;
        UpdateWindowText(strText, updatePlain, nStart, nEnd);
        return;
    }

    case VK_INSERT:
        if (bCtrl)
            MaskCopy();
        else if (bShift)
            MaskPaste();
        else
            m_bOverType = !m_bOverType;
        return;

    case VK_DELETE:
        if (m_nStartChar == m_nEndChar)
        {
            if (m_nStartChar < strText.GetLength())
                strText = DeleteRange(strText, m_nStartChar, m_nStartChar + 1);
        }
        else
        {
            if (bShift)
                MaskCopy();
            strText = DeleteRange(strText, m_nStartChar, m_nEndChar);
        }
        UpdateWindowText(strText, updateDelete, m_nStartChar, m_nStartChar);
        return;

    default:
        BASE::OnKeyDown(nChar, nRepCnt, nFlags);
        return;
    }
}

template <class BASE>
void CXTMaskEditT<BASE>::OnSetFocus(CWnd* pOldWnd)
{
    BASE::OnSetFocus(pOldWnd);
    if (!CanUseMask())
        return;
    int nStart, nEnd;
    this->GetSel(nStart, nEnd);
    int nPos = NextInputPosition(nStart);
    this->SetSel(nPos, nPos);
}

template <class BASE>
void CXTMaskEditT<BASE>::MaskCopy()
{
    if (!CanUseMask())
    {
        this->Copy();
        return;
    }
    ReadState();
    if (m_nStartChar == m_nEndChar)
        return;
    CString strCopy = GetInputChars(m_strWindowText, m_nStartChar, m_nEndChar);
    if (!::OpenClipboard(this->m_hWnd))
        return;
    ::EmptyClipboard();
    HGLOBAL hData = ::GlobalAlloc(GMEM_MOVEABLE, strCopy.GetLength() + 1);
    LPSTR pData = hData != NULL ? (LPSTR)::GlobalLock(hData) : NULL;
    if (pData != NULL)
    {
        memcpy(pData, (LPCTSTR)strCopy, strCopy.GetLength() + 1);
        ::GlobalUnlock(hData);
        if (::SetClipboardData(CF_TEXT, hData) == NULL)
            ::GlobalFree(hData);
    }
    else if (hData != NULL)
        ::GlobalFree(hData);
    ::CloseClipboard();
}

template <class BASE>
void CXTMaskEditT<BASE>::MaskClear()
{
    if (!CanUseMask())
    {
        this->Clear();
        return;
    }
    ReadState();
    UpdateWindowText(DeleteRange(FitToLiteral(m_strWindowText), m_nStartChar, m_nEndChar), updateDelete,
                     m_nStartChar, m_nStartChar);
}

template <class BASE>
void CXTMaskEditT<BASE>::MaskCut()
{
    if (!CanUseMask())
    {
        this->Cut();
        return;
    }
    MaskCopy();
    MaskClear();
}

template <class BASE>
void CXTMaskEditT<BASE>::MaskPaste()
{
    if (!CanUseMask())
    {
        this->Paste();
        return;
    }
    // Without text on the clipboard there is nothing to paste.
    if (!::IsClipboardFormatAvailable(CF_TEXT) || !::OpenClipboard(this->m_hWnd))
        return;
    CString strPaste;
    HGLOBAL hData = ::GetClipboardData(CF_TEXT);
    LPCSTR pData = hData != NULL ? (LPCSTR)::GlobalLock(hData) : NULL;
    if (pData != NULL)
    {
        SIZE_T nSize = ::GlobalSize(hData);
        SIZE_T nLength = 0;
        while (nLength < nSize && pData[nLength] != 0)
            nLength++;
        strPaste = CString(pData, (int)nLength);
        ::GlobalUnlock(hData);
    }
    ::CloseClipboard();
    if (strPaste.IsEmpty())
        return;

    ReadState();
    CString strText = DeleteRange(FitToLiteral(m_strWindowText), m_nStartChar, m_nEndChar);
    int nPos = NextInputPosition(m_nStartChar);
    if (!IsInputPosition(nPos))
    {
        NotifyPosNotInRange();
        return;
    }
    strText = RebuildText(strText, nPos, strPaste + GetInputChars(strText, nPos, strText.GetLength()));

    // The caret follows the pasted characters.
    int nCaret = nPos;
    for (int nPlaced = 0; nCaret < m_strLiteral.GetLength() && nPlaced < strPaste.GetLength(); nCaret++)
    {
        if (IsInputPosition(nCaret))
            nPlaced++;
    }
    UpdateWindowText(strText, updateClipboard, nCaret, nCaret);
}

template <class BASE>
void CXTMaskEditT<BASE>::MaskUndo()
{
    if (!CanUseMask())
    {
        this->Undo();
        return;
    }
    ReadState();
    CString strCurrent = m_strWindowText;
    m_strWindowText = m_strUndoBuffer;
    m_strUndoBuffer = strCurrent;
    m_bRedo = !m_bRedo;
    m_bModified = TRUE;
    this->SetWindowText(m_strWindowText);
    this->SetSel(m_nStartChar, m_nStartChar);
}

template <class BASE>
void CXTMaskEditT<BASE>::MaskSelectAll()
{
    if (!CanUseMask())
    {
        this->SetSel(0, -1);
        return;
    }
    int nFirst = NextInputPosition(0);
    this->SetSel(nFirst, this->GetWindowTextLength());
}

template <class BASE>
LRESULT CXTMaskEditT<BASE>::OnCopyMsg(WPARAM, LPARAM)
{
    if (!CanUseMask())
        return this->Default();
    MaskCopy();
    return 0;
}

template <class BASE>
LRESULT CXTMaskEditT<BASE>::OnCutMsg(WPARAM, LPARAM)
{
    if (!CanUseMask())
        return this->Default();
    MaskCut();
    return 0;
}

template <class BASE>
LRESULT CXTMaskEditT<BASE>::OnPasteMsg(WPARAM, LPARAM)
{
    if (!CanUseMask())
        return this->Default();
    MaskPaste();
    return 0;
}

template <class BASE>
LRESULT CXTMaskEditT<BASE>::OnClearMsg(WPARAM, LPARAM)
{
    if (!CanUseMask())
        return this->Default();
    MaskClear();
    return 0;
}

template <class BASE>
LRESULT CXTMaskEditT<BASE>::OnUndoMsg(WPARAM, LPARAM)
{
    if (!CanUseMask())
        return this->Default();
    MaskUndo();
    return TRUE;
}

template <class BASE>
BOOL CXTMaskEditT<BASE>::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && pMsg->hwnd == this->m_hWnd && CanUseMask())
    {
        if (pMsg->wParam == VK_SUBTRACT || pMsg->wParam == VK_ADD)
        {
            OnChar(pMsg->wParam == VK_SUBTRACT ? '-' : '+', 1, 0);
            return TRUE;
        }
        if (::GetKeyState(VK_CONTROL) < 0)
        {
            switch (pMsg->wParam)
            {
            case 'C':
                MaskCopy();
                return TRUE;
            case 'V':
                MaskPaste();
                return TRUE;
            case 'X':
                MaskCut();
                return TRUE;
            case 'Z':
                MaskUndo();
                return TRUE;
            }
        }
    }
    return BASE::PreTranslateMessage(pMsg);
}
