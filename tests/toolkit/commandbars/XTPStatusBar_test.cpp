// The status bar in a frame: its parts, the key indicators, the frame's
// prompt pane, tooltips and what it sends to the common control.
#include <gtest/gtest.h>

#include "XTPCommandBarsDefines.h"
#include "XTPStatusBar.h"
#include "support/snapshot.h"

#include <commctrl.h>

#include <string>
#include <vector>

namespace
{
// Counts SB_SETTEXT sent to one window.
HWND g_hCountWnd = NULL;
int g_nSetText = 0;
HHOOK g_hHook = NULL;
LRESULT CALLBACK CountHook(int nCode, WPARAM wParam, LPARAM lParam)
{
    const CWPSTRUCT* p = (const CWPSTRUCT*)lParam;
    if (nCode == HC_ACTION && p->hwnd == g_hCountWnd && p->message == SB_SETTEXT)
        g_nSetText++;
    return ::CallNextHookEx(g_hHook, nCode, wParam, lParam);
}

class CTestFrame : public CFrameWnd
{
public:
    CXTPStatusBar m_wndStatusBar;
};

class StatusBarTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        pFrame = new CTestFrame;
        ASSERT_TRUE(pFrame->Create(NULL, "Status", WS_OVERLAPPEDWINDOW, CRect(10, 10, 610, 310)));
        ASSERT_TRUE(bar().Create(pFrame));
        static const UINT indicators[] = {0, 59137, 59138, 59139};
        ASSERT_TRUE(bar().SetIndicators(indicators, 4));
        pFrame->ShowWindow(SW_SHOWNA);
        pFrame->RecalcLayout();
    }
    void TearDown() override
    {
        BYTE state[256] = {0};
        ::SetKeyboardState(state);
        pFrame->DestroyWindow();
    }
    CXTPStatusBar& bar() { return pFrame->m_wndStatusBar; }
    std::vector<int> Parts()
    {
        int rights[16] = {0};
        int n = (int)bar().SendMessage(SB_GETPARTS, 16, (LPARAM)rights);
        return std::vector<int>(rights, rights + n);
    }
    std::string ControlText(int nPart)
    {
        char sz[256] = {0};
        bar().SendMessage(SB_GETTEXT, nPart, (LPARAM)sz);
        return sz;
    }
    CTestFrame* pFrame = NULL;
};
} // namespace

TEST_F(StatusBarTest, AWiderFrameWidensOnlyTheStretchingPane)
{
    std::vector<int> before = Parts();
    ASSERT_EQ(4u, before.size());
    CXTPStatusBarPane* pFirst = bar().GetPane(0);
    EXPECT_EQ((UINT)(XTP_SBPS_STRETCH | XTP_SBPS_NOBORDERS), pFirst->GetStyle() & 0xFFFFFF00);
    EXPECT_EQ(::GetSystemMetrics(SM_CXSCREEN) / 4, pFirst->GetWidth());

    CRect rcFrame;
    pFrame->GetWindowRect(&rcFrame);
    pFrame->SetWindowPos(NULL, 0, 0, rcFrame.Width() + 100, rcFrame.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    pFrame->RecalcLayout();
    std::vector<int> after = Parts();
    ASSERT_EQ(4u, after.size());
    EXPECT_EQ(before[0] + 100, after[0]) << "part 0 takes the new room";
    for (int i = 1; i < 4; i++)
        EXPECT_EQ(after[i] - after[i - 1], before[i] - before[i - 1]) << "part " << i << " keeps its width";

    // The last pane ends at its own width, not at the control's edge.
    CRect rcLast;
    bar().GetItemRect(3, &rcLast);
    EXPECT_EQ(bar().GetPane(3)->GetWidth() + 3 * ::GetSystemMetrics(SM_CXEDGE), rcLast.Width());
    EXPECT_FALSE(testsupport::SaveWindowSnapshot(bar().m_hWnd, "status_bar_four_panes").empty());
}

TEST_F(StatusBarTest, CapsIndicatorShowsAfterTheKeyTogglesAndAnIdlePass)
{
    BYTE state[256] = {0};
    ::SetKeyboardState(state);
    pFrame->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
    EXPECT_TRUE(bar().GetPaneStyle(1) & XTP_SBPS_DISABLED);
    EXPECT_EQ("", ControlText(1)) << "a disabled pane shows nothing";
    EXPECT_STREQ("CAP", bar().GetPaneText(1)) << "but keeps its text";

    state[VK_CAPITAL] = 0x01;
    ::SetKeyboardState(state);
    pFrame->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
    EXPECT_FALSE(bar().GetPaneStyle(1) & XTP_SBPS_DISABLED);
    EXPECT_EQ("CAP", ControlText(1));
    EXPECT_TRUE(bar().GetPaneStyle(2) & XTP_SBPS_DISABLED) << "Num Lock is off";
}

TEST_F(StatusBarTest, FramePromptPaneAnswersTextMessagesWithinTheBuffer)
{
    EXPECT_EQ(TRUE, bar().SendMessage(WM_SETTEXT, 0, (LPARAM) "Ready"));
    EXPECT_EQ("Ready", ControlText(0));
    EXPECT_EQ(5, bar().SendMessage(WM_GETTEXTLENGTH));

    char buffer[8];
    memset(buffer, 'x', sizeof(buffer));
    EXPECT_EQ(3, bar().SendMessage(WM_GETTEXT, 4, (LPARAM)buffer));
    EXPECT_STREQ("Rea", buffer);
    EXPECT_EQ('x', buffer[4]) << "nothing written past the buffer";
    EXPECT_EQ(0, bar().SendMessage(WM_GETTEXT, 0, (LPARAM)buffer));

    // The frame's own prompt messages reach the same pane.
    pFrame->SendMessage(WM_SETMESSAGESTRING, 0, (LPARAM) "Opens a puzzle");
    EXPECT_STREQ("Opens a puzzle", bar().GetPaneText(0));
    pFrame->SendMessage(WM_POPMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
    EXPECT_STREQ("Ready", bar().GetPaneText(0));

    // Without a pane of id 0 there is nothing to set.
    static const UINT keysOnly[] = {59137};
    ASSERT_TRUE(bar().SetIndicators(keysOnly, 1));
    EXPECT_EQ(FALSE, bar().SendMessage(WM_SETTEXT, 0, (LPARAM) "x"));
    EXPECT_EQ(0, bar().SendMessage(WM_GETTEXTLENGTH));
}

TEST_F(StatusBarTest, TheSameTextTwiceReachesTheControlOnce)
{
    g_hCountWnd = bar().m_hWnd;
    g_hHook = ::SetWindowsHookExA(WH_CALLWNDPROC, CountHook, NULL, ::GetCurrentThreadId());
    g_nSetText = 0;
    EXPECT_TRUE(bar().SetPaneText(0, "Opening"));
    EXPECT_TRUE(bar().SetPaneText(0, "Opening"));
    EXPECT_EQ(1, g_nSetText);

    // A text kept back (no update) goes out with the next pass.
    EXPECT_TRUE(bar().SetPaneText(0, "Saved", FALSE));
    EXPECT_EQ(1, g_nSetText);
    bar().UpdateAllPanes(FALSE, TRUE);
    EXPECT_EQ(2, g_nSetText);
    EXPECT_EQ("Saved", ControlText(0));
    ::UnhookWindowsHookEx(g_hHook);
    g_hHook = NULL;

    EXPECT_FALSE(bar().SetPaneText(9, "none"));
    EXPECT_EQ(NULL, bar().GetPane(-1));
    CRect rc(1, 1, 2, 2);
    bar().GetItemRect(9, &rc);
    EXPECT_TRUE(rc.IsRectEmpty());
}

TEST_F(StatusBarTest, HiddenPanesLeaveThePartsAndTooltipsComeFromPanes)
{
    bar().GetPane(2)->SetVisible(FALSE);
    EXPECT_EQ(3u, Parts().size());
    EXPECT_EQ(3, bar().GetVisiblePaneCount());
    EXPECT_FALSE(bar().SetPaneText(2, "NUM")) << "an invisible pane takes no text";

    bar().GetPane(1)->SetTooltip("Caps Lock");
    CRect rcCaps;
    bar().GetItemRect(1, &rcCaps);
    TOOLINFO ti = {};
    ti.cbSize = 44;
    EXPECT_EQ(59137, bar().OnToolHitTest(rcCaps.CenterPoint(), &ti));
    CRect rcLast;
    bar().GetItemRect(3, &rcLast);
    EXPECT_EQ(-1, bar().OnToolHitTest(rcLast.CenterPoint(), &ti)) << "no tooltip text";
    if (ti.lpszText != NULL && ti.lpszText != LPSTR_TEXTCALLBACK)
        free(ti.lpszText);
}

TEST(StatusBarCreateTest, AMissingIndicatorStringFails)
{
    CTestFrame* pFrame = new CTestFrame;
    ASSERT_TRUE(pFrame->Create(NULL, "Status", WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200)));
    ASSERT_TRUE(pFrame->m_wndStatusBar.Create(pFrame));
    EXPECT_TRUE(pFrame->m_wndStatusBar.GetStyle() & SBARS_SIZEGRIP);
    static const UINT broken[] = {0, 59137, 4711, 59139};
    EXPECT_FALSE(pFrame->m_wndStatusBar.SetIndicators(broken, 4));
    EXPECT_EQ(3, pFrame->m_wndStatusBar.GetPaneCount()) << "the panes made so far stay";
    EXPECT_EQ(0, pFrame->m_wndStatusBar.SendMessage(WM_XTP_FRAMEDRAWSTATUSBAR));
    pFrame->DestroyWindow();
}

TEST_F(StatusBarTest, TheBarAsksForTheWholeWidthWhetherOrNotItStretches)
{
    EXPECT_EQ(32767, bar().CalcFixedLayout(TRUE, TRUE).cx);
    EXPECT_EQ(32767, bar().CalcFixedLayout(FALSE, TRUE).cx);
    EXPECT_EQ(bar().CalcFixedLayout(TRUE, TRUE).cy, bar().CalcFixedLayout(FALSE, TRUE).cy);
}
