// A top-level host window for window tests that records the notification
// messages its children send to it, and a setter of the thread's key state.
#pragma once

#include <afxwin.h>

#include <functional>
#include <vector>

namespace testsupport
{
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

    // The LPARAMs of the notes with the given WPARAM, in order.
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
