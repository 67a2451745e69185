// Window-test helpers: the class library's start-up for a test program, a
// message pump, and a top-level host window that records the notification
// messages its children send to it.
#pragma once

#include <afxwin.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace testsupport
{
// Message boxes shown through the class library are recorded, not shown.
inline std::vector<std::string>& MessageBoxTexts()
{
    static std::vector<std::string> s_texts;
    return s_texts;
}

inline int AFXAPI RecordMessageBoxText(LPCTSTR lpszText, UINT, UINT)
{
    MessageBoxTexts().push_back(lpszText != NULL ? lpszText : "");
    return IDOK;
}

// Starts the class library once per program.
class WindowEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        AfxWinInit(::GetModuleHandle(NULL), NULL, (LPTSTR) "", SW_SHOWNORMAL);
        AfxSetMessageBoxHook(&RecordMessageBoxText);
    }
};

// Dispatches what is queued, through the thread's PreTranslateMessage walk.
inline void PumpMessages(int nMaxMessages = 10000)
{
    MSG msg;
    for (int i = 0; i < nMaxMessages && ::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE); ++i)
    {
        if (msg.message == WM_QUIT)
            continue;
        CWinThread* pThread = AfxGetThread();
        if (pThread == NULL || !pThread->PreTranslateMessage(&msg))
        {
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
        }
    }
}

// A top-level window that records one notification message (by default the
// property grid's 0x2ADF) and answers it through an optional handler.
class NotifyHost : public CWnd
{
public:
    struct Note
    {
        WPARAM wParam;
        LPARAM lParam;
    };

    explicit NotifyHost(UINT nMessage = 0x2ADF) : m_nMessage(nMessage) {}

    BOOL CreateHost(int x, int y, int cx, int cy, LPCTSTR lpszTitle = "host")
    {
        LPCTSTR lpszClass = AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW), (HBRUSH)(COLOR_3DFACE + 1));
        if (!CreateEx(WS_EX_CONTROLPARENT, lpszClass, lpszTitle, WS_POPUP | WS_CAPTION | WS_VISIBLE | WS_CLIPCHILDREN,
                      CRect(x, y, x + cx, y + cy), NULL, 0))
            return FALSE;
        ::SetForegroundWindow(m_hWnd);
        ::SetActiveWindow(m_hWnd);
        return TRUE;
    }

    // Notes with the given WPARAM, in order.
    std::vector<LPARAM> Notes(WPARAM wParam) const
    {
        std::vector<LPARAM> result;
        for (const Note& note : m_notes)
        {
            if (note.wParam == wParam)
                result.push_back(note.lParam);
        }
        return result;
    }

    std::vector<Note> m_notes;
    // Called for every recorded message; its result is the answer.
    std::function<LRESULT(WPARAM, LPARAM)> m_handler;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == m_nMessage)
        {
            m_notes.push_back(Note{wParam, lParam});
            return m_handler ? m_handler(wParam, lParam) : 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }

    UINT m_nMessage;
};

// Sets or clears a key in the thread's keyboard state, which GetKeyState reads.
inline void SetKeyDown(int nVirtKey, bool bDown)
{
    BYTE state[256];
    ::GetKeyboardState(state);
    state[nVirtKey] = bDown ? 0x80 : 0;
    ::SetKeyboardState(state);
}
} // namespace testsupport
