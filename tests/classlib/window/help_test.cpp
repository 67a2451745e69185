// ctest: run-serial
// Context help, tooltips of child windows and the rebar's height in a frame
// program of the test's own, driven by the real keyboard and pointer:
// Shift+F1 enters help mode, where a click asks the window under it for its
// help id and a menu command gives its help instead of running; F1 gives the
// help of the window with the keyboard; a child control shows the tooltip of
// its string; a rebar band moved to a second row lays the frame out again.
#include "support/keyinput.h"
#include "support/mouseinput.h"
#include "support/pump.h"
#include "support/tooltips.h"
#include "support/wndtest.h"

#include "commandbars_game_res.h"

#include <afxext.h>
#include <afxpriv.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace
{
// What the program's WinHelp was asked for.
std::vector<std::pair<DWORD_PTR, UINT>> g_help;

class CHelpTestApp : public CWinApp
{
public:
    void WinHelp(DWORD_PTR dwData, UINT nCmd) override { g_help.push_back({dwData, nCmd}); }
};

CHelpTestApp theApp;
::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new testsupport::Environment);

const UINT ID_TEST_COMMAND = ID_NEW_PUZZLE;   // "Start a new puzzle\nNew Puzzle"
const UINT IDC_WITH_HELP_ID = 3001;           // a plain edit box with a context help id
const UINT IDC_ANSWERING = 3002;              // a window that answers for its help itself
const DWORD kEditHelpId = HID_BASE_CONTROL + 77;
const DWORD kHitTestId = 0x12345;
const DWORD kCommandHelpId = 0x12346;
const UINT kFrameHelpId = 0x77;

// Answers WM_HELPHITTEST and WM_COMMANDHELP with ids of its own.
class CAnsweringWnd : public CWnd
{
public:
    afx_msg LRESULT OnHelpHitTest(WPARAM, LPARAM) { return kHitTestId; }
    afx_msg LRESULT OnCommandHelp(WPARAM, LPARAM)
    {
        AfxGetApp()->WinHelp(kCommandHelpId);
        return TRUE;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CAnsweringWnd, CWnd)
    ON_MESSAGE(WM_HELPHITTEST, OnHelpHitTest)
    ON_MESSAGE(WM_COMMANDHELP, OnCommandHelp)
END_MESSAGE_MAP()

// The program's frame: F1, Shift+F1 and Ctrl+T as its keys, help mapped as a
// program maps it, one command of its own.
class CHelpFrame : public CFrameWnd
{
public:
    int nCommands = 0;
    afx_msg void OnTestCommand() { nCommands++; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CHelpFrame, CFrameWnd)
    ON_COMMAND(ID_HELP, OnHelp)
    ON_COMMAND(ID_CONTEXT_HELP, OnContextHelp)
    ON_COMMAND(ID_TEST_COMMAND, OnTestCommand)
END_MESSAGE_MAP()

using testsupport::ClickAt;
using testsupport::PressKeys;

// Runs the program's loop (the walk included, so the keys go through the
// frame's accelerators) until the condition holds or about three seconds
// passed.
template <class F>
bool RunUntil(F condition)
{
    for (int i = 0; i < 150 && !condition(); i++)
    {
        testsupport::PumpPending();
        ::Sleep(20);
    }
    return condition();
}

// What a step inside help mode does once the mode runs (a timer of the
// thread, which the mode's own loop dispatches).
struct InHelpMode
{
    CHelpFrame* pFrame = NULL;
    std::function<void()> action;
    bool bSeen = false;
    bool bHelpCursor = false;
    int nTicks = 0;
};
InHelpMode g_inHelpMode;

void CALLBACK HelpModeStep(HWND, UINT, UINT_PTR nID, DWORD)
{
    InHelpMode& step = g_inHelpMode;
    if (++step.nTicks > 100)
    {
        ::KillTimer(NULL, nID);
        return;
    }
    if (step.pFrame == NULL || !step.pFrame->m_bHelpMode)
        return;
    ::KillTimer(NULL, nID);
    step.bSeen = true;
    step.bHelpCursor = ::GetCursor() == ::LoadCursor(NULL, IDC_HELP);
    if (step.action)
        step.action();
}

class HelpTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_help.clear();
        m_pFrame = new CHelpFrame;
        ASSERT_TRUE(m_pFrame->Create(NULL, "Help test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(100, 100, 600, 450)));
        m_pFrame->m_nIDHelp = kFrameHelpId;
        ACCEL keys[] = {
            {FVIRTKEY, VK_F1, ID_HELP},
            {FVIRTKEY | FSHIFT, VK_F1, ID_CONTEXT_HELP},
            {FVIRTKEY | FCONTROL, 'T', (WORD)ID_TEST_COMMAND},
        };
        m_pFrame->m_hAccelTable = ::CreateAcceleratorTable(keys, 3);
        ASSERT_TRUE(m_edit.CreateEx(WS_EX_CLIENTEDGE, "EDIT", "", WS_CHILD | WS_VISIBLE, CRect(20, 20, 200, 50), m_pFrame,
                                    IDC_WITH_HELP_ID));
        m_edit.SetWindowContextHelpId(kEditHelpId);
        LPCTSTR lpszClass = AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1));
        ASSERT_TRUE(m_answering.CreateEx(0, lpszClass, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(20, 80, 200, 140),
                                         m_pFrame, IDC_ANSWERING));
        m_pFrame->SetForegroundWindow();
        m_pFrame->SetFocus();
        testsupport::PumpPending();
        ::Sleep(50);
        testsupport::PumpPending();
    }
    void TearDown() override
    {
        g_inHelpMode = InHelpMode();
        if (m_pFrame != NULL && m_pFrame->m_hWnd != NULL)
        {
            HACCEL hAccel = m_pFrame->m_hAccelTable;
            m_pFrame->DestroyWindow();
            ::DestroyAcceleratorTable(hAccel);
        }
        testsupport::DrainQuit();
    }
    CPoint ScreenPoint(CWnd& wnd, CPoint ptClient)
    {
        wnd.ClientToScreen(&ptClient);
        return ptClient;
    }
    // Shift+F1, then the action once help mode runs; TRUE when the mode was
    // entered and has ended.
    bool InHelpModeDo(std::function<void()> action)
    {
        g_inHelpMode = InHelpMode();
        g_inHelpMode.pFrame = m_pFrame;
        g_inHelpMode.action = action;
        ::SetTimer(NULL, 0, 30, HelpModeStep);
        PressKeys({VK_SHIFT, VK_F1});
        RunUntil([] { return g_inHelpMode.bSeen && !g_inHelpMode.pFrame->m_bHelpMode; });
        return g_inHelpMode.bSeen && !m_pFrame->m_bHelpMode;
    }

    CHelpFrame* m_pFrame = NULL;
    CWnd m_edit;
    CAnsweringWnd m_answering;
};

TEST_F(HelpTest, AClickInHelpModeGivesTheHelpIdOfTheWindowUnderIt)
{
    // A window that answers the hit test.
    ASSERT_TRUE(InHelpModeDo([this] { ClickAt(ScreenPoint(m_answering, CPoint(30, 20))); }));
    EXPECT_TRUE(g_inHelpMode.bHelpCursor) << "the help cursor shows in help mode";
    ASSERT_EQ(1u, g_help.size());
    EXPECT_EQ((DWORD_PTR)kHitTestId, g_help[0].first);
    EXPECT_EQ((UINT)HELP_CONTEXT, g_help[0].second);
    EXPECT_EQ(NULL, ::GetCapture()) << "the mode gives the mouse back";

    // A plain control with a context help id of its own.
    g_help.clear();
    ASSERT_TRUE(InHelpModeDo([this] { ClickAt(ScreenPoint(m_edit, CPoint(10, 10))); }));
    ASSERT_EQ(1u, g_help.size());
    EXPECT_EQ((DWORD_PTR)kEditHelpId, g_help[0].first);

    // The frame's client area: the frame's own id.
    g_help.clear();
    ASSERT_TRUE(InHelpModeDo([this] { ClickAt(ScreenPoint(*m_pFrame, CPoint(400, 250))); }));
    ASSERT_EQ(1u, g_help.size());
    EXPECT_EQ((DWORD_PTR)(HID_BASE_RESOURCE + kFrameHelpId), g_help[0].first);
}

TEST_F(HelpTest, EscapeLeavesHelpModeWithoutHelpAndCommandsGiveTheirHelpInsteadOfRunning)
{
    ASSERT_TRUE(InHelpModeDo([] { PressKeys({VK_ESCAPE}); }));
    EXPECT_TRUE(g_help.empty());
    EXPECT_EQ(NULL, ::GetCapture());

    // Ctrl+T in help mode: the command's help, the command not run.
    ASSERT_TRUE(InHelpModeDo([] { PressKeys({VK_CONTROL, 'T'}); }));
    ASSERT_EQ(1u, g_help.size());
    EXPECT_EQ((DWORD_PTR)(HID_BASE_COMMAND + ID_TEST_COMMAND), g_help[0].first);
    EXPECT_EQ(0, m_pFrame->nCommands);

    // Out of help mode it runs.
    g_help.clear();
    PressKeys({VK_CONTROL, 'T'});
    EXPECT_TRUE(RunUntil([this] { return m_pFrame->nCommands == 1; }));
    EXPECT_TRUE(g_help.empty());
}

TEST_F(HelpTest, F1GivesTheHelpOfTheWindowWithTheKeyboard)
{
    m_edit.SetFocus();
    PressKeys({VK_F1});
    ASSERT_TRUE(RunUntil([] { return !g_help.empty(); }));
    EXPECT_EQ((DWORD_PTR)kEditHelpId, g_help[0].first) << "a control with a help id";

    g_help.clear();
    m_answering.SetFocus();
    PressKeys({VK_F1});
    ASSERT_TRUE(RunUntil([] { return !g_help.empty(); }));
    EXPECT_EQ((DWORD_PTR)kCommandHelpId, g_help[0].first) << "a window that answers for itself";

    g_help.clear();
    m_pFrame->SetFocus();
    PressKeys({VK_F1});
    ASSERT_TRUE(RunUntil([] { return !g_help.empty(); }));
    EXPECT_EQ((DWORD_PTR)(HID_BASE_RESOURCE + kFrameHelpId), g_help[0].first) << "the frame's own";
    EXPECT_EQ(1u, g_help.size());
}

TEST_F(HelpTest, AChildControlShowsTheTooltipOfItsString)
{
    CWnd button;
    ASSERT_TRUE(button.CreateEx(0, "BUTTON", "New", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(250, 20, 350, 50),
                                m_pFrame, ID_TEST_COMMAND));
    m_pFrame->EnableToolTips(TRUE);
    CPoint pt = ScreenPoint(button, CPoint(50, 15));
    HWND hTip = testsupport::HoverUntilToolTip(pt, [] { testsupport::PumpPending(); });
    ASSERT_TRUE(hTip != NULL) << "no tip over the child control";
    // The tool's text is a callback: the tip shows what the frame answered.
    char szShown[128] = "";
    ::GetWindowTextA(hTip, szShown, sizeof(szShown));
    EXPECT_STREQ("New Puzzle", szShown);
    m_pFrame->EnableToolTips(FALSE);
    button.DestroyWindow();
}

TEST_F(HelpTest, ARebarBandMovedToASecondRowLaysTheFrameOutAgain)
{
    CReBar rebar;
    ASSERT_TRUE(rebar.Create(m_pFrame));
    CWnd view;
    ASSERT_TRUE(view.CreateEx(WS_EX_CLIENTEDGE, "STATIC", "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), m_pFrame,
                              AFX_IDW_PANE_FIRST));
    CWnd bands[2];
    for (int i = 0; i < 2; i++)
    {
        ASSERT_TRUE(bands[i].CreateEx(0, "STATIC", i == 0 ? "first" : "second", WS_CHILD | WS_VISIBLE,
                                      CRect(0, 0, 120, 24), &rebar, 100 + i));
        ASSERT_TRUE(rebar.AddBar(&bands[i], i == 0 ? "One" : "Two", NULL, RBBS_GRIPPERALWAYS));
    }
    m_pFrame->RecalcLayout();
    testsupport::PumpPending();
    CRect rcBar, rcView;
    rebar.GetWindowRect(&rcBar);
    view.GetWindowRect(&rcView);
    const int nOneRow = rcBar.Height();
    ASSERT_GT(nOneRow, 0);
    EXPECT_EQ(rcBar.bottom, rcView.top);

    // The second band's gripper dragged below the first row.
    RECT rcBand = {};
    ASSERT_TRUE(rebar.SendMessage(RB_GETRECT, 1, (LPARAM)&rcBand));
    CPoint ptGrip(rcBand.left + 3, (rcBand.top + rcBand.bottom) / 2);
    rebar.ClientToScreen(&ptGrip);
    using testsupport::MouseInput;
    const DWORD dwAt = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SetCursorPos(ptGrip.x, ptGrip.y);
    testsupport::PumpPending();
    testsupport::SendInputs({MouseInput(dwAt | MOUSEEVENTF_LEFTDOWN, ptGrip)});
    RunUntil([] { return ::GetCapture() != NULL; });
    for (int dy = 4; dy <= nOneRow + 8; dy += 4)
    {
        testsupport::SendInputs({MouseInput(dwAt, ptGrip + CPoint(0, dy))});
        testsupport::PumpPending();
        ::Sleep(10);
    }
    testsupport::SendInputs({MouseInput(dwAt | MOUSEEVENTF_LEFTUP, ptGrip + CPoint(0, nOneRow + 8))});
    RunUntil([&rebar] { return (int)rebar.SendMessage(RB_GETROWCOUNT) == 2; });
    testsupport::PumpPending();

    ASSERT_EQ(2, (int)rebar.SendMessage(RB_GETROWCOUNT)) << "the band did not move to a second row";
    rebar.GetWindowRect(&rcBar);
    view.GetWindowRect(&rcView);
    EXPECT_GT(rcBar.Height(), nOneRow) << "the rebar keeps the height of one row";
    EXPECT_EQ(rcBar.bottom, rcView.top) << "the frame was not laid out again";
    EXPECT_EQ((int)rebar.SendMessage(RB_GETBARHEIGHT), rcBar.Height());
    view.DestroyWindow();
    rebar.DestroyWindow();
}
} // namespace
