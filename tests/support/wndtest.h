// Helpers shared by the window-layer test programs: message-box capture,
// exception capture, in-memory dialog templates and window counting.
#pragma once

#include <afxwin.h>
#include <gtest/gtest.h>

#include "support/pump.h"

#include <string>
#include <vector>

namespace testsupport
{

// Message boxes are recorded instead of shown; the answer is configurable.
struct MessageBoxLog
{
    std::vector<std::string> texts;
    int nAnswer = IDOK;
};

inline MessageBoxLog& Boxes()
{
    static MessageBoxLog log;
    return log;
}

inline int AFXAPI RecordMessageBox(LPCTSTR lpszText, UINT, UINT)
{
    Boxes().texts.push_back(lpszText != NULL ? lpszText : "");
    return Boxes().nAnswer;
}

// Exceptions caught at callback barriers are recorded instead of shown.
inline std::vector<std::string>& Exceptions()
{
    static std::vector<std::string> list;
    return list;
}

inline void AFXAPI RecordException(LPCTSTR lpszDescription, CException*, const MSG*)
{
    Exceptions().push_back(lpszDescription != NULL ? lpszDescription : "");
}

// Installs the hooks once per program; tests clear the logs they read.
class Environment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        AfxWinInit(::GetModuleHandle(NULL), NULL, (LPTSTR) "", SW_SHOWNORMAL);
        AfxSetMessageBoxHook(&RecordMessageBox);
        AfxSetExceptionReportHook(&RecordException);
    }
};

// Builds a dialog template in memory (DLGTEMPLATE + items, word aligned).
class DialogTemplate
{
public:
    DialogTemplate(LPCSTR lpszCaption, DWORD dwStyle, short cx, short cy)
    {
        Align(4);
        Add<DWORD>(dwStyle | DS_SETFONT);
        Add<DWORD>(0);      // extended style
        m_nCountOffset = m_data.size();
        Add<WORD>(0);       // item count
        Add<short>(10);
        Add<short>(10);
        Add<short>(cx);
        Add<short>(cy);
        Add<WORD>(0);       // no menu
        Add<WORD>(0);       // default class
        AddText(lpszCaption);
        Add<WORD>(8);
        AddText("MS Shell Dlg");
    }

    // A control by class name ("BUTTON", "EDIT", "STATIC", "LISTBOX", "COMBOBOX").
    void AddItem(LPCSTR lpszClass, LPCSTR lpszText, WORD nID, DWORD dwStyle, short x, short y, short cx, short cy)
    {
        Align(4);
        Add<DWORD>(dwStyle | WS_CHILD | WS_VISIBLE);
        Add<DWORD>(0);
        Add<short>(x);
        Add<short>(y);
        Add<short>(cx);
        Add<short>(cy);
        Add<WORD>(nID);
        AddText(lpszClass);
        AddText(lpszText);
        Add<WORD>(0);   // no creation data
        WORD* pCount = (WORD*)&m_data[m_nCountOffset];
        ++*pCount;
    }

    LPCDLGTEMPLATE Get() const { return (LPCDLGTEMPLATE)m_data.data(); }

private:
    template <class T>
    void Add(T value)
    {
        const BYTE* p = (const BYTE*)&value;
        m_data.insert(m_data.end(), p, p + sizeof(T));
    }
    void AddText(LPCSTR lpsz)
    {
        WCHAR wsz[256];
        int n = ::MultiByteToWideChar(CP_ACP, 0, lpsz, -1, wsz, 256);
        for (int i = 0; i < n; ++i)
            Add<WCHAR>(wsz[i]);
    }
    void Align(size_t n)
    {
        while (m_data.size() % n != 0)
            m_data.push_back(0);
    }

    std::vector<BYTE> m_data;   // heap storage: aligned for DWORDs
    size_t m_nCountOffset = 0;
};

inline BOOL CALLBACK CountWindowProc(HWND, LPARAM lParam)
{
    ++*(int*)lParam;
    return TRUE;
}

// Counts the thread's top-level windows.
inline int CountThreadWindows()
{
    int nCount = 0;
    ::EnumThreadWindows(::GetCurrentThreadId(), &CountWindowProc, (LPARAM)&nCount);
    return nCount;
}

} // namespace testsupport
