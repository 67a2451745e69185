// Dragging toolbars between dock bars and the floating state.
#include <gtest/gtest.h>

#include "XTPCommandBarsOptions.h"
#include "XTPDockBar.h"
#include "XTPDockContext.h"
#include "support/bars_frame.h"

using testsupport::CBarsFrame;

namespace
{
class DockContextTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        pFrame = CBarsFrame::Create(CRect(100, 100, 700, 500));
        pBars = pFrame->GetCommandBars();
        pBar = pFrame->AddToolBar("Standard", {{100, "New"}, {101, "Open"}});
        pBar->SetBarID(102);
        pFrame->RecalcLayout();
    }
    void TearDown() override { pFrame->DestroyWindow(); }
    CRect WindowRect()
    {
        CRect rc;
        pBar->GetWindowRect(&rc);
        return rc;
    }
    CBarsFrame* pFrame = NULL;
    CXTPCommandBars* pBars = NULL;
    CXTPToolBar* pBar = NULL;
};
} // namespace

TEST_F(DockContextTest, AFloatingBarKeepsTenPixelsOnScreen)
{
    CXTPDockContext* pContext = pBar->GetDockContext();
    ASSERT_TRUE(pContext != NULL);
    pContext->m_nHitTest = CXTPDockContext::nDragMove;
    pContext->m_ptLast = WindowRect().TopLeft() + CPoint(5, 5);
    pContext->m_rectDragFrame = pContext->m_rectFloat = WindowRect();

    // Far from every dock bar the bar floats.
    CPoint pt(400, 700);
    pContext->OnMouseMoveTo(pt);
    ASSERT_TRUE(pBar->IsFloating());
    CRect rc = WindowRect();
    EXPECT_TRUE(rc.PtInRect(pt)) << "the floating bar holds the cursor";

    CRect rcWork;
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &rcWork, 0);
    pContext->OnMouseMoveTo(CPoint(rcWork.right + 500, rcWork.bottom + 500));
    rc = WindowRect();
    EXPECT_EQ(rcWork.right - 10, rc.left);
    EXPECT_EQ(rcWork.bottom - 10, rc.top);
    pContext->OnMouseMoveTo(CPoint(-3000, -3000));
    rc = WindowRect();
    EXPECT_EQ(rcWork.left + 10, rc.right);
    EXPECT_EQ(rcWork.top + 10, rc.bottom);

    // Back over the top dock bar it docks again.
    CRect rcTop;
    pBars->GetDockBar(xtpBarTop)->GetWindowRect(&rcTop);
    pContext->m_rectDragFrame = WindowRect();
    pContext->OnMouseMoveTo(rcTop.CenterPoint());
    EXPECT_EQ(xtpBarTop, pBar->GetPosition());
}

TEST_F(DockContextTest, WithoutTheFloatingFlagTheBarCannotBeTornOff)
{
    pBar->SetFlags(0, xtpFlagFloating);
    CXTPDockContext* pContext = pBar->GetDockContext();
    pContext->m_ptLast = WindowRect().TopLeft();
    pContext->m_rectDragFrame = pContext->m_rectFloat = WindowRect();
    pContext->OnMouseMoveTo(CPoint(400, 900));
    EXPECT_FALSE(pBar->IsFloating());
    EXPECT_EQ(xtpBarTop, pBar->GetPosition());
}

TEST_F(DockContextTest, EscapeEndsTheDragWhereTheBarStands)
{
    CRect rcStart = WindowRect();
    CPoint ptGrip = rcStart.TopLeft() + CPoint(3, 3);
    // The loop finds a move far below the frame, then Escape.
    CPoint ptClient(3, 3 + 500);
    pBar->PostMessage(WM_MOUSEMOVE, 0, MAKELPARAM(ptClient.x, ptClient.y));
    pBar->PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    pBar->GetDockContext()->StartDrag(ptGrip);
    EXPECT_EQ(NULL, ::GetCapture());
    EXPECT_TRUE(pBar->IsFloating()) << "nothing is undone";
    EXPECT_TRUE(WindowRect().PtInRect(rcStart.TopLeft() + CPoint(3, 503)));
    EXPECT_TRUE(pBars->GetCommandBarsOptions()->bDirtyState);
}

TEST_F(DockContextTest, ADoubleClickFloatsAndDocksAsTheOptionSays)
{
    CRect rcDocked = WindowRect();
    EXPECT_FALSE(pBar->GetDockContext()->ToggleDocking()) << "DblClickFloat is off";
    EXPECT_FALSE(pBar->IsFloating());

    pBars->GetCommandBarsOptions()->bDblClickFloat = TRUE;
    EXPECT_TRUE(pBar->GetDockContext()->ToggleDocking());
    ASSERT_TRUE(pBar->IsFloating());
    EXPECT_EQ(rcDocked.TopLeft(), WindowRect().TopLeft()) << "a bar never floated floats where it was docked";

    EXPECT_TRUE(pBar->GetDockContext()->ToggleDocking());
    EXPECT_FALSE(pBar->IsFloating());
    EXPECT_EQ(xtpBarTop, pBar->GetPosition());
}
