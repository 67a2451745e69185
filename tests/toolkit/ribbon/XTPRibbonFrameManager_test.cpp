// The ribbon drawing the frame's caption: the frame manager on a test frame
// (caption buttons from the frame's styles, the client area reaching the top,
// the window region, caption hit tests and the system-menu message), on the
// path without desktop composition.
// ctest: run-serial
#include "ribbon_testframe.h"

using namespace ribbontest;

namespace
{
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
