// Floating windows: the title, captions of several groups, closing, the
// system menu's close item and the stored rectangle; floating and docking
// by double clicks; the themed frame, its buttons, rolling up and opacity.
// ctest: run-serial (it moves the real pointer)
#include "support/dockingframe.h"
#include "support/pump.h"
#include "support/snapshot.h"
#include "support/wndtest.h"

#include <XTPDockingPaneMiniWnd.h>
#include <XTPPropExchange.h>
#include <XTPSystemHelpers.h>

#include <gtest/gtest.h>

using testsupport::CDockingTestFrame;

namespace
{
using testsupport::ScreenRect;
::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new testsupport::Environment);

class MiniWndTest : public testsupport::DockingFrameTest
{
protected:
    void SetUp() override
    {
        CreateFrame(CSize(500, 400));
        CXTPDockingPaneManager& m = manager();
        pFirst = AddPane(1, _T("First"), xtpPaneDockLeft, CSize(150, 100));
        pSecond = AddPane(2, _T("Second"), xtpPaneDockRight, CSize(150, 100));
        Layout();
        pMini = m.FloatPane(pFirst, CRect(600, 100, 800, 250));
        ASSERT_TRUE(pMini != NULL);
        Layout();
    }
    CString Title()
    {
        CString str;
        pMini->GetWindowText(str);
        return str;
    }

    CXTPDockingPane* pFirst = NULL;
    CXTPDockingPane* pSecond = NULL;
    CXTPDockingPaneMiniWnd* pMini = NULL;
};

TEST_F(MiniWndTest, TheTitleFollowsTheSingleGroupAndSeveralGroupsShowTheirCaptions)
{
    EXPECT_TRUE(pFirst->IsFloating());
    EXPECT_EQ(CString("First"), Title());
    auto* pGroup = static_cast<CXTPDockingPaneTabbedContainer*>(pFirst->GetContainer());
    EXPECT_FALSE(pGroup->IsCaptionVisible());   // the window's own caption shows it

    // A second group in the window: both captions show, the title is the default one.
    pFrame->m_paneManager.m_strFloatingFrameCaption = "Tools";
    pFrame->m_paneManager.DockPane(pSecond, xtpPaneDockBottom, pGroup);
    Layout();
    ASSERT_EQ(pMini, pSecond->GetDockingSite());
    EXPECT_EQ(CString("Tools"), Title());
    EXPECT_TRUE(pGroup->IsCaptionVisible());
    EXPECT_TRUE(static_cast<CXTPDockingPaneTabbedContainer*>(pSecond->GetContainer())->IsCaptionVisible());
}

TEST_F(MiniWndTest, ClosingTheWindowClosesThePanesThatMayCloseAndTheCloseItemFollowsThem)
{
    pFrame->m_paneManager.AttachPane(pSecond, pFirst);
    Layout();
    pSecond->SetOptions(xtpPaneNoCloseable);
    pMini->OnChildContainerChanged(NULL);
    CMenu* pSysMenu = pMini->GetSystemMenu(FALSE);
    ASSERT_TRUE(pSysMenu != NULL);
    EXPECT_EQ(0u, pSysMenu->GetMenuState(SC_CLOSE, MF_BYCOMMAND) & MF_GRAYED);

    pMini->SendMessage(WM_CLOSE);
    EXPECT_TRUE(pFirst->IsClosed());
    EXPECT_FALSE(pSecond->IsClosed());
    // No pane left that can close: the item is greyed, also in a window
    // that is part of its frame (Alt+F4 closes the frame without it).
    ASSERT_NE(0u, pMini->GetStyle() & MFS_SYNCACTIVE);
    pMini->OnChildContainerChanged(NULL);
    EXPECT_NE(0u, pSysMenu->GetMenuState(SC_CLOSE, MF_BYCOMMAND) & MF_GRAYED);
}

TEST_F(MiniWndTest, TheStoredRectangleIsKeptInRange)
{
    CXTPDockingPaneLayout* pLayout = pFrame->m_paneManager.CreateLayout();
    auto* pLoaded = static_cast<CXTPDockingPaneMiniWnd*>(
        pFrame->m_paneManager.OnCreatePane(xtpPaneTypeMiniWnd, pLayout));
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        CXTPPropExchangeArchive px(ar);
        long values[] = { 0, 0, 100000, -5, 200000, 70000 };   // docking size, top, bottom, left, right
        PropExchangeLong(&px, "DockingCX", values[0]);
        PropExchangeLong(&px, "DockingCY", values[1]);
        PropExchangeLong(&px, "WindowRectTopPos", values[2]);
        PropExchangeLong(&px, "WindowRectBottomPos", values[3]);
        PropExchangeLong(&px, "WindowRectLeftPos", values[4]);
        PropExchangeLong(&px, "WindowRectRightPos", values[5]);
        BOOL bCollapsed = FALSE;
        PropExchangeBool(&px, "Collapsed", bCollapsed, FALSE);
        long nExpanded = -40, nTop = 0;
        PropExchangeLong(&px, "ExpandedHeight", nExpanded);
        PropExchangeLong(&px, "TopContaner", nTop);
        ar.Close();
    }
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    CXTPPropExchangeArchive px(ar);
    EXPECT_FALSE(pLoaded->DoPropExchange(&px));   // no splitter named
    CRect rc = pLoaded->GetStoredRect();
    EXPECT_EQ(CRect(32000, 32000, 32000, 32000), rc);
    EXPECT_EQ(0, pLoaded->GetExpandedHeight());
    pLayout->InternalRelease();
}

class FloatingTest : public testsupport::DockingFrameTest
{
protected:
    void SetUp() override
    {
        CreateFrame(CSize(500, 400));
        pPane = AddPane(1, _T("Tools"), xtpPaneDockRight, CSize(150, 100));
        Layout();
    }
    CXTPDockingPaneTabbedContainer* Group() { return static_cast<CXTPDockingPaneTabbedContainer*>(pPane->GetContainer()); }
    CXTPDockingPaneMiniWnd* Mini() { return DYNAMIC_DOWNCAST(CXTPDockingPaneMiniWnd, pPane->GetDockingSite()); }
    // Floats the pane in a window with the theme's own frame.
    CXTPDockingPaneMiniWnd* FloatThemed(int nTheme = xtpPaneThemeOffice2003)
    {
        manager().SetTheme(nTheme);
        manager().m_bThemedFloatingFrames = TRUE;
        manager().FloatPane(pPane, CRect(600, 100, 800, 260));
        Layout();
        return Mini();
    }
    // The screen point of a caption button of a floating window.
    CPoint ButtonPoint(CXTPDockingPaneMiniWnd* pMini, int nID)
    {
        pMini->SendMessage(WM_NCPAINT);   // lays the buttons out
        CXTPDockingPaneCaptionButton* pButton = pMini->GetCaptionButtons()->Find(nID);
        CPoint pt = pButton->GetRect().CenterPoint();
        return pt + ScreenRect(pMini->GetSafeHwnd()).TopLeft();
    }
    // The actions received, without the activation changes between them.
    std::vector<int> Actions()
    {
        std::vector<int> actions;
        for (int n : pFrame->Actions())
        {
            if (n != xtpPaneActionActivated && n != xtpPaneActionDeactivated)
                actions.push_back(n);
        }
        return actions;
    }
    void SendTimer(CWnd* pWnd, UINT_PTR nID, int nTimes)
    {
        for (int i = 0; i < nTimes; i++)
            pWnd->SendMessage(WM_TIMER, nID, 0);
    }

    CXTPDockingPane* pPane = NULL;
};

TEST_F(FloatingTest, ADoubleClickOnTheCaptionFloatsThePaneAndOnTheWindowsCaptionDocksItBack)
{
    CRect rcGroup = ScreenRect(Group()->GetSafeHwnd());
    CRect rcClient;
    pFrame->GetClientRect(&rcClient);
    pFrame->m_notifications.clear();
    Group()->SendMessage(WM_LBUTTONDBLCLK, 0, MAKELPARAM(20, 6));
    Layout();
    CXTPDockingPaneMiniWnd* pMini = Mini();
    ASSERT_TRUE(pMini != NULL);
    EXPECT_TRUE(pMini->GetExStyle() & WS_EX_TOOLWINDOW);
    CString strTitle;
    pMini->GetWindowText(strTitle);
    EXPECT_EQ(CString("Tools"), strTitle);
    EXPECT_EQ(rcGroup, ScreenRect(pMini->GetSafeHwnd()));
    EXPECT_EQ(rcClient, testsupport::ChildRect(pFrame->GetView()->GetSafeHwnd()));
    EXPECT_EQ((std::vector<int>{ xtpPaneActionFloating, xtpPaneActionFloated }), Actions());

    pFrame->m_notifications.clear();
    CPoint ptCaption = ScreenRect(pMini->GetSafeHwnd()).TopLeft() + CPoint(30, 8);
    pMini->SendMessage(WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(ptCaption.x, ptCaption.y));
    Layout();
    EXPECT_FALSE(pPane->IsFloating());
    EXPECT_EQ(rcGroup, ScreenRect(Group()->GetSafeHwnd()));
    EXPECT_EQ((std::vector<int>{ xtpPaneActionDocking, xtpPaneActionDocked }), Actions());
}

// A pane that has the keyboard focus, floated or docked back by a double
// click, leaves the frame active (its menu bar and its Alt+F4 keep the
// keyboard), as dragging does; a group floated whole too.
TEST_F(FloatingTest, FloatingThePaneWithTheFocusByADoubleClickLeavesTheFrameActive)
{
    pFrame->ShowWindow(SW_SHOW);
    ::SetForegroundWindow(pFrame->m_hWnd);
    Layout();
    ASSERT_EQ(pFrame->m_hWnd, ::GetActiveWindow());
    pPane->SetFocus();
    ASSERT_TRUE(pPane->IsFocus());

    // The caption of the group (its pane's tab ends at the same place).
    Group()->SendMessage(WM_LBUTTONDBLCLK, 0, MAKELPARAM(20, 6));
    Layout();
    ASSERT_TRUE(pPane->IsFloating());
    CXTPDockingPaneMiniWnd* pMini = Mini();
    ASSERT_TRUE(pMini != NULL);
    EXPECT_EQ(pFrame->m_hWnd, ::GetActiveWindow()) << "floated";
    HWND hFocus = ::GetFocus();
    EXPECT_TRUE(hFocus == pFrame->m_hWnd || ::IsChild(pFrame->m_hWnd, hFocus)) << "the focus in the frame";

    // The focus into the floating pane, then docked back by its window's caption.
    pPane->SetFocus();
    CPoint ptCaption = ScreenRect(pMini->GetSafeHwnd()).TopLeft() + CPoint(30, 8);
    pMini->SendMessage(WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(ptCaption.x, ptCaption.y));
    Layout();
    EXPECT_FALSE(pPane->IsFloating());
    EXPECT_EQ(pFrame->m_hWnd, ::GetActiveWindow()) << "docked back";

    // The whole group, through the manager.
    pPane->SetFocus();
    manager().ToggleDocking(Group());
    Layout();
    EXPECT_TRUE(pPane->IsFloating());
    EXPECT_EQ(pFrame->m_hWnd, ::GetActiveWindow()) << "the group floated";
    pFrame->ShowWindow(SW_HIDE);
}

// A window of panes that cannot close greys its Close item, synchronised
// with its frame or not, and ignores closing.
TEST_F(FloatingTest, AWindowOfPanesThatCannotCloseGreysItsCloseItemAndIgnoresClosing)
{
    pPane->SetOptions(xtpPaneNoCloseable);
    manager().ToggleDocking(pPane);
    Layout();
    CXTPDockingPaneMiniWnd* pMini = Mini();
    ASSERT_TRUE(pMini != NULL);
    ASSERT_NE(0u, pMini->GetStyle() & MFS_SYNCACTIVE);
    CMenu* pSysMenu = pMini->GetSystemMenu(FALSE);
    ASSERT_TRUE(pSysMenu != NULL);
    EXPECT_NE(0u, pSysMenu->GetMenuState(SC_CLOSE, MF_BYCOMMAND) & MF_GRAYED) << "synchronised";
    EXPECT_EQ(0u, pSysMenu->GetMenuState(SC_MINIMIZE, MF_BYCOMMAND) + 1);   // gone
    pFrame->m_notifications.clear();
    pMini->SendMessage(WM_CLOSE);
    EXPECT_TRUE(::IsWindow(pMini->GetSafeHwnd()));
    EXPECT_TRUE(pPane->IsFloating());
    EXPECT_TRUE(Actions().empty());

    pMini->ModifyStyle(MFS_SYNCACTIVE, 0);
    pMini->OnChildContainerChanged(NULL);
    EXPECT_NE(0u, pSysMenu->GetMenuState(SC_CLOSE, MF_BYCOMMAND) & MF_GRAYED) << "a window of its own";
    pMini->ModifyStyle(0, MFS_SYNCACTIVE);
}

TEST_F(FloatingTest, AThemedFrameHasItsOwnBorderCaptionAndHitCodes)
{
    CXTPDockingPaneMiniWnd* pMini = FloatThemed();
    ASSERT_TRUE(pMini != NULL && pMini->IsThemed());
    EXPECT_EQ(0u, pMini->GetStyle() & (WS_THICKFRAME | WS_BORDER));
    CRect rcWindow = ScreenRect(pMini->GetSafeHwnd());
    CRect rcClient;
    pMini->GetClientRect(&rcClient);
    pMini->ClientToScreen(&rcClient);
    const int nCaption = manager().GetPaintManager()->GetCaptionHeight();
    EXPECT_EQ(rcWindow.left + 3, rcClient.left);
    EXPECT_EQ(rcWindow.right - 3, rcClient.right);
    EXPECT_EQ(rcWindow.bottom - 3, rcClient.bottom);
    EXPECT_EQ(rcWindow.top + 3 + nCaption + 2, rcClient.top);

    struct Hit
    {
        CPoint pt;
        LRESULT nCode;
    };
    const Hit hits[] = {
        { CPoint(rcWindow.left + 1, rcWindow.top + 1), HTTOPLEFT },
        { CPoint(rcWindow.right - 1, rcWindow.top + 1), HTTOPRIGHT },
        { CPoint(rcWindow.left + 1, rcWindow.bottom - 1), HTBOTTOMLEFT },
        { CPoint(rcWindow.right - 2, rcWindow.bottom - 2), HTBOTTOMRIGHT },
        { CPoint(rcWindow.left + 50, rcWindow.top + 1), HTTOP },
        { CPoint(rcWindow.left + 1, rcWindow.top + 50), HTLEFT },
        { CPoint(rcWindow.left + 50, rcWindow.top + 8), HTCAPTION },
        { rcClient.CenterPoint(), HTCLIENT },
    };
    for (const Hit& hit : hits)
        EXPECT_EQ(hit.nCode, pMini->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(hit.pt.x, hit.pt.y)));

    // Its close button closes the pane; the button's tooltip is its string.
    CPoint ptClose = ButtonPoint(pMini, XTP_IDS_DOCKINGPANE_CLOSE);
    pMini->PostMessage(WM_LBUTTONUP, 0, 0);
    pFrame->m_notifications.clear();
    pMini->SendMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(ptClose.x, ptClose.y));
    EXPECT_TRUE(pPane->IsClosed());
    EXPECT_EQ((std::vector<int>{ xtpPaneActionClosing, xtpPaneActionClosed }), Actions());
}

TEST_F(FloatingTest, ACollapsingWindowRollsUpToItsCaptionAndOutWhenPointedAt)
{
    CXTPDockingPaneMiniWnd* pMini = FloatThemed();
    ASSERT_TRUE(pMini != NULL);
    const int nHeight = ScreenRect(pMini->GetSafeHwnd()).Height();
    const int nRolled = manager().GetPaintManager()->GetCaptionHeight() + 8;
    CPoint ptPin = ButtonPoint(pMini, XTP_IDS_DOCKINGPANE_AUTOHIDE);
    pMini->PostMessage(WM_LBUTTONUP, 0, 0);
    pFrame->m_notifications.clear();
    pMini->SendMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(ptPin.x, ptPin.y));
    ASSERT_TRUE(pMini->IsCollapsed());
    EXPECT_EQ((std::vector<int>{ xtpPaneActionUnpinning, xtpPaneActionUnpinned }), Actions());
    EXPECT_EQ(2u, pMini->GetCaptionButtons()->Find(XTP_IDS_DOCKINGPANE_AUTOHIDE)->GetState() & 2);

    // Six leave checks with the mouse and the focus away start the roll; it
    // stops at the caption.
    ::SetCursorPos(5, 1000);
    ::SetFocus(NULL);
    pFrame->m_notifications.clear();
    SendTimer(pMini, 1, 6);
    ASSERT_TRUE(pMini->IsRolling());
    SendTimer(pMini, 3, 4);
    int nHalf = ScreenRect(pMini->GetSafeHwnd()).Height();
    EXPECT_LT(nHalf, nHeight);
    EXPECT_GT(nHalf, nRolled);
    SendTimer(pMini, 3, 10);
    EXPECT_FALSE(pMini->IsRolling());
    EXPECT_EQ(nRolled, ScreenRect(pMini->GetSafeHwnd()).Height());
    EXPECT_EQ((std::vector<int>{ xtpPaneActionCollapsing, xtpPaneActionCollapsed }), Actions());

    // Pointed at, it rolls out at once; a double click on the caption pins it again.
    pFrame->m_notifications.clear();
    CPoint ptCaption = ScreenRect(pMini->GetSafeHwnd()).TopLeft() + CPoint(30, 6);
    pMini->SendMessage(WM_NCMOUSEMOVE, HTCAPTION, MAKELPARAM(ptCaption.x, ptCaption.y));
    EXPECT_EQ(nHeight, ScreenRect(pMini->GetSafeHwnd()).Height());
    EXPECT_EQ((std::vector<int>{ xtpPaneActionExpanding, xtpPaneActionExpanded }), Actions());
    pFrame->m_notifications.clear();
    pMini->SendMessage(WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(ptCaption.x, ptCaption.y));
    EXPECT_FALSE(pMini->IsCollapsed());
    EXPECT_TRUE(pPane->IsFloating());
    EXPECT_EQ((std::vector<int>{ xtpPaneActionPinning, xtpPaneActionPinned }), Actions());
    EXPECT_EQ(nHeight, ScreenRect(pMini->GetSafeHwnd()).Height());
}

TEST_F(FloatingTest, AWindowStoredOffTheScreenKeepsItsCaptionOnTheWorkArea)
{
    manager().FloatPane(pPane, CRect(-5000, -3000, -4800, -2900));
    Layout();
    CRect rcWork = XTPMonitorFunctions()->GetWorkAreaFromPoint(CPoint(0, 0));
    CRect rc = ScreenRect(Mini()->GetSafeHwnd());
    EXPECT_GE(rc.top, rcWork.top);
    EXPECT_GE(rc.right, rcWork.left + 10);
    manager().FloatPane(pPane, CRect(5000, 3000, 5200, 3100));
    Layout();
    rc = ScreenRect(Mini()->GetSafeHwnd());
    EXPECT_LE(rc.top, rcWork.bottom - 10);
    EXPECT_LE(rc.left, rcWork.right - 10);
}

TEST_F(FloatingTest, AStoredExpandedHeightBelowTheCaptionIsNotRestored)
{
    CXTPDockingPaneMiniWnd* pMini = FloatThemed();
    ASSERT_TRUE(pMini != NULL);
    pMini->ExpandCollapse();
    ASSERT_TRUE(pMini->IsCollapsed());
    pMini->m_nExpandedHeight = 0;   // as read from a damaged store
    pMini->ExpandCollapse();
    EXPECT_EQ(pMini->GetCollapsedHeight(), ScreenRect(pMini->GetSafeHwnd()).Height());
}

TEST_F(FloatingTest, AnInactiveWindowIsTranslucentAndAnActiveOneOpaque)
{
    if (manager().m_pfnSetLayeredWindowAttributes == NULL)
        GTEST_SKIP() << "no layered windows";
    manager().m_nFloatingFramesOpacity = 128;
    manager().ToggleDocking(pPane);
    Layout();
    CXTPDockingPaneMiniWnd* pMini = Mini();
    ASSERT_TRUE(pMini != NULL);
    EXPECT_TRUE(pMini->GetExStyle() & WS_EX_LAYERED);
    typedef BOOL(WINAPI * PFNGETLAYERED)(HWND, COLORREF*, BYTE*, DWORD*);
    PFNGETLAYERED pfnGet = (PFNGETLAYERED)::GetProcAddress(::GetModuleHandleA("USER32"), "GetLayeredWindowAttributes");
    if (pfnGet != NULL)
    {
        BYTE nAlpha = 0;
        DWORD dwFlags = 0;
        ::SetFocus(NULL);
        pMini->OnFocusChanged();
        ASSERT_TRUE(pfnGet(pMini->GetSafeHwnd(), NULL, &nAlpha, &dwFlags));
        EXPECT_EQ(128, nAlpha);
        ::SetFocus(pPane->GetChild());
        pMini->OnFocusChanged();
        EXPECT_TRUE(pMini->IsActive());
        ASSERT_TRUE(pfnGet(pMini->GetSafeHwnd(), NULL, &nAlpha, &dwFlags));
        EXPECT_EQ(255, nAlpha);
    }
    manager().m_nFloatingFramesOpacity = 255;
    pMini->UpdateAlpha();
    EXPECT_EQ(0u, pMini->GetExStyle() & WS_EX_LAYERED);
}

TEST_F(FloatingTest, TheRightButtonOnTheCaptionAsksTheOwnerForAMenu)
{
    manager().ToggleDocking(pPane);
    Layout();
    CXTPDockingPaneMiniWnd* pMini = Mini();
    ASSERT_TRUE(pMini != NULL);
    pFrame->m_notifications.clear();
    pFrame->m_nContextMenuAnswer = 1;   // handled: no system menu
    CPoint ptCaption = ScreenRect(pMini->GetSafeHwnd()).TopLeft() + CPoint(30, 6);
    pMini->SendMessage(WM_NCRBUTTONDOWN, HTCAPTION, MAKELPARAM(ptCaption.x, ptCaption.y));
    std::vector<testsupport::DockingNotification> menus = pFrame->Notifications(XTP_DPN_CONTEXTMENU);
    ASSERT_EQ(1u, menus.size());
    EXPECT_EQ(pPane, menus[0].click.pPane);
    EXPECT_TRUE(::IsRectEmpty(&menus[0].click.rcExclude));
}

TEST_F(FloatingTest, SnapshotOfAFloatingWindowWithItsThemedFrame)
{
    CXTPDockingPane* pSecond = AddPane(2, _T("Colours"), xtpPaneDockRight, CSize(150, 100));
    manager().AttachPane(pSecond, pPane);
    Layout();
    CXTPDockingPaneMiniWnd* pMini = FloatThemed();
    ASSERT_TRUE(pMini != NULL);
    manager().FloatPane(pSecond, CRect(600, 100, 800, 260));   // floats alone in a window of its own
    manager().AttachPane(pSecond, pPane);
    Layout();
    pMini->SendMessage(WM_NCPAINT);
    CRect rcWindow = ScreenRect(pMini->GetSafeHwnd());
    testsupport::Canvas canvas(rcWindow.Width(), rcWindow.Height());
    testsupport::DrawMiniWindow(pMini, manager().GetPaintManager(), canvas);
    EXPECT_FALSE(testsupport::SaveSnapshot(canvas, "floating_office2003").empty());
}
} // namespace

namespace
{
const COLORREF kViewColour = RGB(200, 40, 160);

COLORREF ScreenColourAt(CPoint pt)
{
    HDC hScreen = ::GetDC(NULL);
    COLORREF cr = ::GetPixel(hScreen, pt.x, pt.y);
    ::ReleaseDC(NULL, hScreen);
    return cr;
}

// Waits (about three seconds, pumping) until the screen shows each floating
// window at its centre rather than the frame's view under it; empty when it
// does, else which one it does not.
std::string WaitForWindowsOnScreen(const std::vector<CWnd*>& windows)
{
    std::string strCovered;
    for (int n = 0; n < 150; n++)
    {
        strCovered.clear();
        for (size_t i = 0; i < windows.size(); i++)
            if (ScreenColourAt(ScreenRect(windows[i]->GetSafeHwnd()).CenterPoint()) == kViewColour)
                strCovered += "window " + std::to_string(i) + " is covered by the frame; ";
        if (strCovered.empty())
            return strCovered;
        testsupport::Pump(20);
    }
    return strCovered;
}

// A frame shown in front, its view one plain colour, with two panes floating
// over the view.
class FloatingOnScreenTest : public testsupport::DockingFrameTest
{
protected:
    void SetUp() override
    {
        CreateFrame(CSize(600, 450));
        CView* pView = pFrame->GetView();
        ASSERT_TRUE(pView != NULL);
        ::SetClassLongPtr(pView->GetSafeHwnd(), GCLP_HBRBACKGROUND, (LONG_PTR)::CreateSolidBrush(kViewColour));
        pFirst = AddPane(1, _T("First"), xtpPaneDockLeft);
        pSecond = AddPane(2, _T("Second"), xtpPaneDockRight);
        Layout();
        pFrame->ShowWindow(SW_SHOW);
        ::SetForegroundWindow(pFrame->GetSafeHwnd());
        Layout();
        ASSERT_TRUE(manager().FloatPane(pFirst, CRect(150, 100, 330, 260)) != NULL);
        ASSERT_TRUE(manager().FloatPane(pSecond, CRect(360, 150, 540, 310)) != NULL);
        Layout();
        pView->Invalidate();
        Layout();
    }
    void TearDown() override
    {
        if (pFrame != NULL && pFrame->GetView() != NULL)
            ::SetClassLongPtr(pFrame->GetView()->GetSafeHwnd(), GCLP_HBRBACKGROUND, (LONG_PTR)(COLOR_WINDOW + 1));
        testsupport::DockingFrameTest::TearDown();
    }
    CWnd* MiniOf(CXTPDockingPane* pPane)
    {
        CWnd* pWnd = pPane->GetDockingSite();
        return pWnd != NULL ? pWnd : NULL;
    }
    // Another window activated, then the frame again, with the focus in its
    // view (as a click on the view gives it).
    void ActivateAnotherWindowThenTheFrame()
    {
        HWND hOther = ::CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 700, 600, 50, 50, NULL, NULL,
                                        NULL, NULL);
        ::SetForegroundWindow(hOther);
        testsupport::Pump(50);
        ::SetForegroundWindow(pFrame->GetSafeHwnd());
        ::SetFocus(pFrame->GetView()->GetSafeHwnd());
        testsupport::Pump(50);
        ::DestroyWindow(hOther);
    }
    // Lets the frame finish what it does after an activation (the raise it
    // posts and the checks of the order that follow it), as a player's next
    // command comes a while after the click that activated the frame. FALSE
    // when the frame does not settle within about five seconds.
    bool WaitUntilTheFrameSettled()
    {
        for (int n = 0; n < 250; n++)
        {
            testsupport::Pump(20);
            if (pFrame->m_nRaiseChecks <= 0 && !pFrame->m_bRaiseOwnedPosted)
                return true;
        }
        return false;
    }

    CXTPDockingPane* pFirst = NULL;
    CXTPDockingPane* pSecond = NULL;
};
} // namespace

// A closed floating pane shown again without the focus, a while after the
// frame was activated while it was closed, comes up in front of the frame.
// The activation raised the frame on the screen over the hidden window, and
// the window shown without the focus keeps its place below the frame.
TEST_F(FloatingOnScreenTest, AClosedFloatingPaneShownWithoutTheFocusIsSeenInFrontOfTheFrame)
{
    CWnd* pFirstMini = MiniOf(pFirst);
    CWnd* pSecondMini = MiniOf(pSecond);
    ASSERT_TRUE(pFirstMini != NULL && pSecondMini != NULL);
    EXPECT_EQ("", WaitForWindowsOnScreen({pFirstMini, pSecondMini})) << "floated";
    manager().ClosePane(pSecond);
    Layout();
    ActivateAnotherWindowThenTheFrame();
    // The other floating window above it in the order: shown, it is not the
    // first window of the order.
    ::SetWindowPos(pFirstMini->GetSafeHwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ASSERT_TRUE(WaitUntilTheFrameSettled());
    manager().ShowPane(2, FALSE);
    Layout();
    CWnd* pShown = MiniOf(pSecond);
    ASSERT_TRUE(pShown != NULL && pShown->IsWindowVisible());
    EXPECT_EQ("", WaitForWindowsOnScreen({pFirstMini, pShown})) << "shown again";
}

// A pane created and attached while the program runs, with two panes
// floating and the frame in front, leaves both floating windows in front of
// the frame, on the screen and in the system's order. The new pane, shown
// with the focus, takes the keyboard from the view: the display brings the
// frame to the top, and the system's order follows without any move of the
// frame's own.
TEST_F(FloatingOnScreenTest, APaneCreatedAndAttachedAtRunTimeLeavesTheFloatingWindowsInFront)
{
    ActivateAnotherWindowThenTheFrame();
    ASSERT_TRUE(WaitUntilTheFrameSettled());
    CXTPDockingPane* pThird = manager().CreatePane(3, CRect(0, 0, 150, 100), xtpPaneDockBottom);
    ASSERT_TRUE(pThird != NULL);
    CXTPDockingPane* pFourth = manager().CreatePane(4, CRect(0, 0, 150, 100), xtpPaneDockBottom);
    ASSERT_TRUE(pFourth != NULL);
    manager().AttachPane(pFourth, pThird);
    manager().ShowPane(pThird);
    Layout();
    EXPECT_TRUE(pThird->GetChild() != NULL && ::GetFocus() == pThird->GetChild()) << "the new pane has the keyboard";
    CWnd* pFirstMini = MiniOf(pFirst);
    CWnd* pSecondMini = MiniOf(pSecond);
    ASSERT_TRUE(pFirstMini != NULL && pSecondMini != NULL);
    EXPECT_EQ("", WaitForWindowsOnScreen({pFirstMini, pSecondMini}));
    for (CWnd* pMini : {pFirstMini, pSecondMini})
    {
        bool bAbove = false;
        for (HWND h = ::GetWindow(pFrame->GetSafeHwnd(), GW_HWNDPREV); h != NULL; h = ::GetWindow(h, GW_HWNDPREV))
            bAbove = bAbove || h == pMini->GetSafeHwnd();
        EXPECT_TRUE(bAbove) << "a floating window lies below the frame in the system's order";
    }
}
