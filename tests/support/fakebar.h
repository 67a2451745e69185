// A stand-in for a command bar that tracks the mouse (an open popup): a
// real popup window that the mouse and keyboard managers track, recording
// what they ask of it.
#pragma once

#include "XTPHookManager.h"
#include "support/testwindows.h"

#include <vector>

namespace testsupport
{
// A popup bar stand-in: a real popup window that leaves tracking mode by
// taking itself off the mouse manager's list and the keyboard's hook list.
class FakeBar : public CXTPTrackableBar, public CXTPHookManagerHookAble
{
public:
    FakeBar(int x, int y, int cx, int cy) { m_hWnd = testsupport::CreatePlainWindow(x, y, cx, cy); }
    ~FakeBar() override
    {
        XTPMouseManager()->RemoveTracked(this);
        XTPKeyboardManager()->UnhookKeyboard(this);
        testsupport::DestroyQuietly(m_hWnd);
    }

    void Track()
    {
        XTPMouseManager()->AddTracked(this);
        XTPKeyboardManager()->HookKeyboard(this);
    }

    HWND GetTrackableHwnd() const override { return m_hWnd; }
    int HitTestTrackedPoint(CPoint ptScreen) override
    {
        RECT rc;
        ::GetWindowRect(m_hWnd, &rc);
        return ::PtInRect(&rc, ptScreen) ? 1 : 0;
    }
    void ClearSelection() override { m_nCleared++; }
    void ExitTrackingMode() override
    {
        m_nExits++;
        m_nLockTracking = 0;
        XTPMouseManager()->RemoveTracked(this);
        XTPKeyboardManager()->UnhookKeyboard(this);
    }
    void OnMouseMove(UINT, CPoint point) override
    {
        m_nMoves++;
        m_ptLastMove = point;
    }
    CXTPShadowSettings* GetPaintManager() override { return NULL; }
    BOOL IsCustomizeMode() override { return FALSE; }
    CWnd* GetSite() override { return NULL; }

    int OnHookMessage(HWND, UINT nMessage, WPARAM& wParam, LPARAM&, LRESULT&) override
    {
        if (nMessage == WM_KEYDOWN)
            m_keys.push_back((UINT)wParam);
        return m_nKeyAnswer;
    }

    HWND m_hWnd = NULL;
    int m_nCleared = 0;
    int m_nExits = 0;
    int m_nMoves = 0;
    CPoint m_ptLastMove;
    std::vector<UINT> m_keys;
    int m_nKeyAnswer = hookHandled;
};

} // namespace testsupport
