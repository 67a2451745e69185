// The ribbon drawing the frame's caption: the frame manager on a test frame
// (caption buttons from the frame's styles, the client area reaching the top,
// the window region, caption hit tests and the system-menu message), on the
// path without desktop composition.
// ctest: run-serial
#include "ribbon_testframe.h"

using namespace ribbontest;

namespace
{
// Counts the menu loops the frame enters and closes each menu shortly after
// it opened.
int g_nMenuLoops = 0;
HHOOK g_hMenuHook = NULL;
LRESULT CALLBACK MenuLoopHook(int nCode, WPARAM wParam, LPARAM lParam)
{
    const CWPSTRUCT* pMsg = (const CWPSTRUCT*)lParam;
    if (nCode == HC_ACTION && pMsg->message == WM_ENTERMENULOOP)
        g_nMenuLoops++;
    return ::CallNextHookEx(NULL, nCode, wParam, lParam);
}
void CALLBACK CloseMenuTimer(HWND, UINT, UINT_PTR, DWORD)
{
    ::EndMenu();
}

// A frame procedure that swallows the system-menu message, as a system
// without it would.
WNDPROC g_pfnFrameProc = NULL;
LRESULT CALLBACK NoSystemMenuMessageProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg == 0x0313)
        return 0;
    return ::CallWindowProc(g_pfnFrameProc, hWnd, nMsg, wParam, lParam);
}

class FrameManagerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_nLive = LiveObjects();
        m_pFrame = new CRibbonFrame();
        ASSERT_TRUE(m_pFrame->CreateRibbonFrame(CRect(40, 40, 760, 400), TRUE));
        m_pFrame->SetForegroundWindow();
        m_pRibbon = m_pFrame->GetRibbon();
        m_pFrame->BuildSample();
        m_pRibbon->EnableFrameTheme(TRUE);
        m_pFrame->Settle();
    }
    void TearDown() override
    {
        XTPMouseManager()->CloseAllTracked();
        m_pFrame->DestroyRibbonFrame();
        PumpAndIdle();
        EXPECT_EQ(m_nLive, LiveObjects());
    }
    CXTPControl* CaptionButton(int nId) const
    {
        for (int i = 0; i < m_pRibbon->GetControlCount(); i++)
        {
            CXTPControl* pControl = m_pRibbon->GetControl(i);
            if (pControl->GetID() == nId && dynamic_cast<CXTPRibbonBar::CControlCaptionButton*>(pControl) != NULL)
                return pControl;
        }
        return NULL;
    }
    CRibbonFrame* m_pFrame = NULL;
    CXTPRibbonBar* m_pRibbon = NULL;
    LONG m_nLive = 0;
};
} // namespace

TEST_F(FrameManagerTest, TheRibbonTakesTheCaptionWithItsButtons)
{
    CXTPRibbonFrameManager* pManager = m_pRibbon->GetFrameManager();
    ASSERT_TRUE(pManager != NULL);
    EXPECT_FALSE(CXTPRibbonFrameManager::IsCompositionEnabled());
    EXPECT_FALSE(pManager->IsCaptionVisible());
    EXPECT_GT(pManager->GetFrameBorder(), 0);

    // The client area starts at the window's top: no system caption.
    CRect rcWindow, rcClient;
    m_pFrame->GetWindowRect(&rcWindow);
    m_pFrame->GetClientRect(&rcClient);
    m_pFrame->ClientToScreen(&rcClient);
    EXPECT_EQ(rcWindow.top, rcClient.top);
    // The window has a region of its own.
    HRGN hRgn = ::CreateRectRgn(0, 0, 0, 0);
    EXPECT_NE(ERROR, ::GetWindowRgn(m_pFrame->m_hWnd, hRgn));
    ::DeleteObject(hRgn);

    // Close, maximise and minimise buttons, right to left, all enabled.
    CXTPControl* pClose = CaptionButton(SC_CLOSE);
    CXTPControl* pMax = CaptionButton(SC_MAXIMIZE);
    CXTPControl* pMin = CaptionButton(SC_MINIMIZE);
    ASSERT_TRUE(pClose != NULL && pMax != NULL && pMin != NULL);
    EXPECT_EQ(NULL, CaptionButton(SC_RESTORE));
    EXPECT_GT(pClose->GetRect().left, pMax->GetRect().left);
    EXPECT_GT(pMax->GetRect().left, pMin->GetRect().left);
    EXPECT_TRUE(pClose->GetEnabled());
    // The title sits in the caption between the quick-access toolbar and the buttons.
    CRect rcTitle = m_pRibbon->GetCaptionTextRect();
    EXPECT_FALSE(rcTitle.IsRectEmpty());
    EXPECT_LE(rcTitle.right, pMin->GetRect().left);
    EXPECT_TRUE(SaveScreenPicture(m_pFrame->m_hWnd, "ribbon_frame"));
}

TEST_F(FrameManagerTest, CaptionHitTestsAndTheMaximisedFrame)
{
    CRect rcCaption = m_pRibbon->GetCaptionRect();
    CRect rcTitle = m_pRibbon->GetCaptionTextRect();
    EXPECT_EQ(HTCAPTION, m_pRibbon->HitTestCaption(rcTitle.CenterPoint()));
    EXPECT_EQ(HTTOP, m_pRibbon->HitTestCaption(CPoint(rcTitle.CenterPoint().x, rcCaption.top + 1)));
    // Over a control of the bar or below the caption: not the caption.
    EXPECT_EQ(0, m_pRibbon->HitTestCaption(CaptionButton(SC_CLOSE)->GetRect().CenterPoint()));
    EXPECT_EQ(0, m_pRibbon->HitTestCaption(CPoint(rcTitle.CenterPoint().x, rcCaption.bottom + 5)));

    m_pFrame->ShowWindow(SW_MAXIMIZE);
    m_pFrame->Settle();
    EXPECT_TRUE(CaptionButton(SC_RESTORE) != NULL);
    EXPECT_EQ(NULL, CaptionButton(SC_MAXIMIZE));
    // A maximised frame cannot be sized from the caption's top.
    EXPECT_EQ(HTCAPTION, m_pRibbon->HitTestCaption(CPoint(m_pRibbon->GetCaptionTextRect().CenterPoint().x,
                                                          m_pRibbon->GetCaptionRect().top + 1)));
    m_pFrame->ShowWindow(SW_RESTORE);
    m_pFrame->Settle();
    EXPECT_TRUE(CaptionButton(SC_MAXIMIZE) != NULL);
}

TEST_F(FrameManagerTest, ACaptionButtonSendsItsSystemCommand)
{
    CXTPControl* pMin = CaptionButton(SC_MINIMIZE);
    ASSERT_TRUE(pMin != NULL);
    pMin->OnExecute();
    PumpAndIdle();
    EXPECT_TRUE(m_pFrame->IsIconic());
    m_pFrame->ShowWindow(SW_RESTORE);
    m_pFrame->Settle();
    EXPECT_FALSE(m_pFrame->IsIconic());
}

TEST_F(FrameManagerTest, TurningTheFrameDrawingOffGivesTheSystemCaptionBack)
{
    m_pRibbon->EnableFrameTheme(FALSE);
    m_pFrame->Settle();
    EXPECT_EQ(NULL, m_pRibbon->GetFrameManager());
    EXPECT_EQ(NULL, CaptionButton(SC_CLOSE));
    CRect rcWindow, rcClient;
    m_pFrame->GetWindowRect(&rcWindow);
    m_pFrame->GetClientRect(&rcClient);
    m_pFrame->ClientToScreen(&rcClient);
    EXPECT_GT(rcClient.top, rcWindow.top + ::GetSystemMetrics(SM_CYCAPTION) - 1);
}

TEST_F(FrameManagerTest, ARightClickOnTheCaptionOpensTheSystemMenuOnce)
{
    CRect rcCaption = m_pRibbon->GetCaptionRect();
    ASSERT_FALSE(rcCaption.IsRectEmpty());
    CPoint pt(rcCaption.CenterPoint().x, rcCaption.top + 5);
    ASSERT_NE(0, m_pRibbon->HitTestCaption(pt));

    g_hMenuHook = ::SetWindowsHookEx(WH_CALLWNDPROC, MenuLoopHook, NULL, ::GetCurrentThreadId());
    ASSERT_TRUE(g_hMenuHook != NULL);
    UINT_PTR nTimer = ::SetTimer(NULL, 0, 100, CloseMenuTimer);
    // The system's message shows the menu: it is not tracked a second time.
    g_nMenuLoops = 0;
    m_pRibbon->SendMessage(WM_RBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    EXPECT_EQ(1, g_nMenuLoops);

    // Where the message shows nothing, the ribbon tracks the menu itself.
    g_pfnFrameProc = (WNDPROC)::SetWindowLongPtr(m_pFrame->m_hWnd, GWLP_WNDPROC, (LONG_PTR)NoSystemMenuMessageProc);
    g_nMenuLoops = 0;
    m_pRibbon->SendMessage(WM_RBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    EXPECT_EQ(1, g_nMenuLoops);
    ::SetWindowLongPtr(m_pFrame->m_hWnd, GWLP_WNDPROC, (LONG_PTR)g_pfnFrameProc);
    ::KillTimer(NULL, nTimer);
    ::UnhookWindowsHookEx(g_hMenuHook);
    g_hMenuHook = NULL;
}
