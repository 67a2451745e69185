// ctest: run-serial (the foreground window and the real pointer)
// The class library's tooltips: a window that enables them gets the tools
// its hit test finds under the mouse in the thread's tip window, through the
// message walk; the nearest enabled window above the mouse answers; keys and
// clicks cancel; disabling takes the tool away.
#include "support/wndtest.h"
#include "window/wndimpl.h"

#include <afxcmn.h>

using namespace testsupport;

namespace
{
CWinApp theApp("ToolTipTests");
::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new Environment);

// A window whose left half is tool nID.
class CToolWnd : public CWnd
{
public:
    explicit CToolWnd(UINT nID) : m_nID(nID) {}
    UINT m_nID;

    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override
    {
        CRect rc;
        GetClientRect(&rc);
        rc.right /= 2;
        if (!rc.PtInRect(point))
            return -1;
        pTI->hwnd = m_hWnd;
        pTI->uId = m_nID;
        pTI->rect = rc;
        pTI->lpszText = LPSTR_TEXTCALLBACK;
        return m_nID;
    }
};

class ToolTipsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_frame.CreateEx(0, AfxRegisterWndClass(0), "frame", WS_POPUP | WS_VISIBLE, 100, 100, 400, 200,
                                     NULL, NULL));
        ASSERT_TRUE(m_outer.Create(NULL, "outer", WS_CHILD | WS_VISIBLE, CRect(0, 0, 400, 200), &m_frame, 1));
        ASSERT_TRUE(m_inner.Create(NULL, "inner", WS_CHILD | WS_VISIBLE, CRect(200, 0, 400, 100), &m_outer, 2));
        ASSERT_TRUE(m_label.Create("STATIC", "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 100), &m_outer, 3));
        ::SetForegroundWindow(m_frame.m_hWnd);
        PumpPending();
    }
    void TearDown() override
    {
        m_outer.EnableToolTips(FALSE);
        m_inner.EnableToolTips(FALSE);
        m_frame.DestroyWindow();
        PumpPending();
    }

    // Sends a mouse move over a window through the thread's message walk.
    void MoveOver(CWnd& wnd, int x, int y)
    {
        CPoint pt(x, y);
        wnd.ClientToScreen(&pt);
        ::SetCursorPos(pt.x, pt.y);
        MSG msg = {};
        msg.hwnd = wnd.m_hWnd;
        msg.message = WM_MOUSEMOVE;
        msg.lParam = MAKELPARAM(x, y);
        msg.pt = pt;
        CWnd::WalkPreTranslateTree(NULL, &msg);
    }
    static CToolTipCtrl* Tip() { return AfxGetThreadState()->m_pToolTip; }

    CWnd m_frame;
    CToolWnd m_outer{ 10 };
    CToolWnd m_inner{ 20 };
    CWnd m_label;
};
} // namespace

TEST_F(ToolTipsTest, TheNearestEnabledWindowShowsItsTool)
{
    MoveOver(m_label, 10, 10);
    EXPECT_TRUE(Tip() == NULL || Tip()->GetToolCount() == 0) << "nothing enabled yet";

    EXPECT_TRUE(m_outer.EnableToolTips(TRUE));
    EXPECT_NE(0u, m_outer.m_nFlags & WF_TOOLTIPS);
    MoveOver(m_label, 10, 10);   // a child without tooltips of its own
    ASSERT_TRUE(Tip() != NULL && Tip()->GetSafeHwnd() != NULL);
    EXPECT_EQ(1, Tip()->GetToolCount());
    EXPECT_EQ(m_frame.m_hWnd, ::GetWindow(Tip()->m_hWnd, GW_OWNER)) << "owned by the top-level window";
    EXPECT_EQ(m_outer.m_hWnd, AfxGetThreadState()->m_hWndLastHit);
    EXPECT_EQ(10, (int)AfxGetThreadState()->m_nLastHit);

    // Inside a window with its own tooltips, that window answers.
    m_inner.EnableToolTips(TRUE);
    MoveOver(m_inner, 10, 10);
    EXPECT_EQ(m_inner.m_hWnd, AfxGetThreadState()->m_hWndLastHit);
    EXPECT_EQ(20, (int)AfxGetThreadState()->m_nLastHit);
    EXPECT_EQ(1, Tip()->GetToolCount()) << "the previous tool was taken off";

    // Off every tool: no tool is kept.
    MoveOver(m_inner, 150, 10);
    EXPECT_EQ(-1, (int)AfxGetThreadState()->m_nLastHit);
    EXPECT_EQ(0, Tip()->GetToolCount());
}

TEST_F(ToolTipsTest, DisablingTakesTheToolAway)
{
    m_outer.EnableToolTips(TRUE);
    MoveOver(m_outer, 10, 10);
    ASSERT_TRUE(Tip() != NULL);
    EXPECT_EQ(1, Tip()->GetToolCount());
    m_outer.EnableToolTips(FALSE);
    EXPECT_EQ(0u, m_outer.m_nFlags & WF_TOOLTIPS);
    EXPECT_EQ(0, Tip()->GetToolCount());
    MoveOver(m_outer, 12, 10);
    EXPECT_EQ(0, Tip()->GetToolCount()) << "moves no longer reach the tip";
}
