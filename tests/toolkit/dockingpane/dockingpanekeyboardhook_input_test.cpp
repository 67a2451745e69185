// ctest: run-serial
// The docking keyboard hook with real keys in a frame that has a menu bar:
// the Alt of a docking shortcut the hook takes (Alt+F6, Alt+Shift+F6,
// Alt+minus) is spent on that shortcut, so its release does not hand the
// keyboard to the menu bar; Alt alone still does.
#include "support/dockingframe.h"
#include "support/keyinput.h"
#include "support/pump.h"
#include "support/wndtest.h"

#include "XTPCommandBars.h"
#include "XTPDockingPane.h"
#include "XTPDockingPaneKeyboardHook.h"
#include "XTPDockingPaneManager.h"
#include "XTPFrameWnd.h"
#include "XTPMenuBar.h"
#include "XTPHookManager.h"
#include "XTPPopupBar.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <map>

using testsupport::CDockingTestView;
using testsupport::SendKey;

namespace
{
::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new testsupport::Environment);

// A frame with the game's menu bar and three docking panes, each hosting an
// edit box that takes the focus.
class CMenuDockingFrame : public CXTPFrameWnd
{
public:
    BOOL CreateFrame()
    {
        if (!Create(NULL, _T("Docking keys"), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CRect(40, 40, 760, 560)))
            return FALSE;
        if (!InitCommandBars() || m_pCommandBars->CreateMenuBar(_T("Menu Bar"), IDR_MAINFRAME) == NULL)
            return FALSE;
        if (!testsupport::CreateViewAndAttach(this, m_paneManager))
            return FALSE;
        m_paneManager.EnableKeyboardNavigate();
        m_paneManager.CreatePane(1, CRect(0, 0, 180, 120), xtpPaneDockLeft)->SetTitle(_T("One"));
        m_paneManager.CreatePane(2, CRect(0, 0, 180, 120), xtpPaneDockRight)->SetTitle(_T("Two"));
        m_paneManager.CreatePane(3, CRect(0, 0, 180, 120), xtpPaneDockBottom)->SetTitle(_T("Three"));
        ShowWindow(SW_SHOWNORMAL);
        RecalcLayout();
        return TRUE;
    }

    // The edit box of a pane, made when the pane first shows.
    HWND Edit(int nID) { return m_edits.count(nID) ? m_edits[nID]->GetSafeHwnd() : NULL; }

    CXTPDockingPaneManager m_paneManager;

protected:
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
    {
        if (message != XTPWM_DOCKINGPANE_NOTIFY)
            return CXTPFrameWnd::OnWndMsg(message, wParam, lParam, pResult);
        *pResult = FALSE;
        if (wParam != XTP_DPN_SHOWWINDOW)
            return TRUE;
        CXTPDockingPane* pPane = (CXTPDockingPane*)lParam;
        if (!pPane->HasAttachedWindow())
        {
            CEdit*& pEdit = m_edits[pPane->GetID()];
            if (pEdit == NULL)
            {
                pEdit = new CEdit;
                pEdit->Create(WS_CHILD | WS_BORDER | ES_MULTILINE, CRect(0, 0, 0, 0), this, 100 + pPane->GetID());
            }
            pPane->AttachWindow(pEdit);
        }
        *pResult = TRUE;
        return TRUE;
    }
    virtual void PostNcDestroy()
    {
        for (auto& entry : m_edits)
            delete entry.second;
        m_edits.clear();
        CXTPFrameWnd::PostNcDestroy();
    }

    std::map<int, CEdit*> m_edits;
};

// Keys pressed in order and let go in reverse order, as a chord.
void Chord(std::initializer_list<WORD> keys)
{
    for (WORD vk : keys)
        SendKey(vk, false);
    for (auto it = std::rbegin(keys); it != std::rend(keys); ++it)
        SendKey(*it, true);
}

// Alt with a key as quick typing presses them: Alt is let go before the
// key (with Shift, Shift first).
void RolledChord(WORD vk, bool bShift = false)
{
    if (bShift)
        SendKey(VK_SHIFT, false);
    SendKey(VK_MENU, false);
    SendKey(vk, false);
    if (bShift)
        SendKey(VK_SHIFT, true);
    SendKey(VK_MENU, true);
    SendKey(vk, true);
}

// Lets the input arrive and be handled through the frame's PreTranslateMessage.
void Settle()
{
    for (int i = 0; i < 15; i++)
    {
        testsupport::PumpPending();
        CWinApp* pApp = AfxGetApp();
        if (pApp != NULL)
        {
            pApp->OnIdle(0);
            pApp->OnIdle(1);
        }
        ::Sleep(10);
    }
}

class KeyboardHookInputTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        pFrame = new CMenuDockingFrame;
        ASSERT_TRUE(pFrame->CreateFrame());
        AfxGetApp()->m_pMainWnd = pFrame;
        Settle();
        pFrame->SetForegroundWindow();
        pFrame->SetActiveWindow();
        Settle();
        ASSERT_EQ(pFrame->m_hWnd, ::GetForegroundWindow()) << "the keys would go elsewhere";
        pMenuBar = pFrame->GetCommandBars()->GetMenuBar();
        ASSERT_TRUE(pMenuBar != NULL);
        for (int nID = 1; nID <= 3; nID++)
            ASSERT_TRUE(pFrame->Edit(nID) != NULL) << "pane " << nID << " has no window";
    }
    void TearDown() override
    {
        // Nothing may stay held or tracked for the next test.
        for (WORD vk : {VK_SHIFT, VK_MENU})
            if (::GetAsyncKeyState(vk) < 0)
                SendKey(vk, true);
        Settle();
        if (pMenuBar != NULL && pMenuBar->IsTrackingMode())
            pMenuBar->SetTrackingMode(FALSE);
        if (AfxGetApp()->m_pMainWnd == pFrame)
            AfxGetApp()->m_pMainWnd = NULL;
        if (pFrame != NULL && pFrame->GetSafeHwnd() != NULL)
            pFrame->DestroyWindow();
        Settle();
    }

    // The pane whose edit box has the focus, 0 when none.
    int FocusedPane()
    {
        HWND hFocus = ::GetFocus();
        for (int nID = 1; nID <= 3; nID++)
            if (hFocus != NULL && hFocus == pFrame->Edit(nID))
                return nID;
        return 0;
    }
    // The keyboard is the pane's, not the menu bar's: the menu bar is not
    // tracking, no menu opened, and Down neither opens one nor leaves the pane.
    void ExpectKeyboardStaysWithThePanes(const char* pszAfter)
    {
        EXPECT_FALSE(pMenuBar->IsTrackingMode()) << pszAfter << ": the menu bar took the keyboard";
        EXPECT_EQ(-1, pMenuBar->GetSelected()) << pszAfter;
        // The eaten release still lets go of Alt for the thread.
        EXPECT_GE(::GetKeyState(VK_MENU), 0) << pszAfter << ": Alt is still seen held";
        const int nPane = FocusedPane();
        Chord({VK_DOWN});
        Settle();
        EXPECT_EQ(0, XTPMouseManager()->GetTrackArray().GetSize()) << pszAfter << ": Down opened a menu";
        EXPECT_EQ(nPane, FocusedPane()) << pszAfter;
        if (XTPMouseManager()->GetTrackArray().GetSize() != 0)
        {
            XTPMouseManager()->CloseAllTracked();
            Settle();
        }
    }

    CMenuDockingFrame* pFrame = NULL;
    CXTPMenuBar* pMenuBar = NULL;
};
} // namespace

CWinApp theApp(_T("DockingKeysTest"));

TEST_F(KeyboardHookInputTest, AltF6AndAltShiftF6MoveBetweenPanesAndLeaveTheMenuBarAlone)
{
    ::SetFocus(pFrame->Edit(1));
    Settle();
    ASSERT_EQ(1, FocusedPane());

    Chord({VK_MENU, VK_F6});
    Settle();
    EXPECT_NE(1, FocusedPane()) << "Alt+F6 did not move the focus";
    EXPECT_NE(0, FocusedPane()) << "Alt+F6 left the panes";
    ExpectKeyboardStaysWithThePanes("Alt+F6");

    const int nAfterForward = FocusedPane();
    Chord({VK_MENU, VK_SHIFT, VK_F6});
    Settle();
    EXPECT_NE(nAfterForward, FocusedPane()) << "Alt+Shift+F6 did not move the focus";
    ExpectKeyboardStaysWithThePanes("Alt+Shift+F6");

    // Alt let go before F6, either way round.
    int nBefore = FocusedPane();
    RolledChord(VK_F6);
    Settle();
    EXPECT_NE(nBefore, FocusedPane()) << "Alt+F6 (Alt let go first) did not move the focus";
    ExpectKeyboardStaysWithThePanes("Alt+F6, Alt let go first");
    nBefore = FocusedPane();
    RolledChord(VK_F6, true);
    Settle();
    EXPECT_NE(nBefore, FocusedPane()) << "Alt+Shift+F6 (Alt let go first) did not move the focus";
    ExpectKeyboardStaysWithThePanes("Alt+Shift+F6, Alt let go first");

    // F6 pressed twice while Alt is held: one release, still no menu bar.
    Chord({VK_MENU, VK_F6});
    SendKey(VK_MENU, false);
    Chord({VK_F6});
    Chord({VK_F6});
    SendKey(VK_MENU, true);
    Settle();
    ExpectKeyboardStaysWithThePanes("Alt+F6 twice");

    // Alt alone, after all that, still enters the menu bar.
    Chord({VK_MENU});
    Settle();
    EXPECT_TRUE(pMenuBar->IsTrackingMode()) << "Alt alone no longer reaches the menu bar";
    Chord({VK_ESCAPE});
    Settle();
    EXPECT_FALSE(pMenuBar->IsTrackingMode());
}

TEST_F(KeyboardHookInputTest, AltMinusOnAnAutoHiddenActivePaneLeavesTheMenuBarAlone)
{
    CXTPDockingPane* pPane = pFrame->m_paneManager.FindPane(3);
    ASSERT_TRUE(pPane != NULL);
    pFrame->m_paneManager.HidePane(pPane);
    Settle();
    ASSERT_TRUE(pPane->IsAutoHidden());
    // Slid out and given the focus, it is the active pane.
    pFrame->m_paneManager.ShowPane(pPane, TRUE);
    Settle();
    ::SetFocus(pFrame->Edit(3));
    Settle();
    ASSERT_EQ(pPane, pFrame->m_paneManager.GetActivePane());

    Chord({VK_MENU, VK_OEM_MINUS});
    Settle();
    EXPECT_FALSE(pMenuBar->IsTrackingMode()) << "Alt+minus: the menu bar took the keyboard";
    EXPECT_EQ(0, XTPMouseManager()->GetTrackArray().GetSize()) << "Alt+minus opened a menu";
    XTPMouseManager()->CloseAllTracked();
    RolledChord(VK_OEM_MINUS);
    Settle();
    EXPECT_FALSE(pMenuBar->IsTrackingMode()) << "Alt+minus, Alt let go first: the menu bar took the keyboard";
    EXPECT_EQ(0, XTPMouseManager()->GetTrackArray().GetSize()) << "Alt+minus opened a menu";
    XTPMouseManager()->CloseAllTracked();

    // Alt alone still enters the menu bar.
    pFrame->SetFocus();
    Settle();
    Chord({VK_MENU});
    Settle();
    EXPECT_TRUE(pMenuBar->IsTrackingMode()) << "Alt alone no longer reaches the menu bar";
    Chord({VK_ESCAPE});
    Settle();
}

TEST_F(KeyboardHookInputTest, AltWithAKeyTheHookDoesNotTakeStillReachesTheMenuBar)
{
    ::SetFocus(pFrame->Edit(1));
    Settle();
    // Alt+F6 first, then Alt+V: the View menu opens as always.
    Chord({VK_MENU, VK_F6});
    Settle();
    Chord({VK_MENU, 'V'});
    Settle();
    EXPECT_GT(XTPMouseManager()->GetTrackArray().GetSize(), 0) << "Alt+V opened no menu";
    Chord({VK_ESCAPE});
    Chord({VK_ESCAPE});
    Settle();
    XTPMouseManager()->CloseAllTracked();
    Settle();
}
