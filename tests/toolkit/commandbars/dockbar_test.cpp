// Dock bars: rows, inserting at a drop point, removing, whole-row and
// stretched bars, vertical docking, the room they take and finding one near
// a point; toolbars hosted as rebar bands.
#include "support/commandbars_testframe.h"

using namespace cbtest;

namespace
{
class DockBarTest : public CommandBarsFrameTest
{
protected:
    void SetUp() override
    {
        CommandBarsFrameTest::SetUp();
        if (HasFatalFailure())
            return;
        m_pTop = m_pCommandBars->GetDockBar(xtpBarTop);
        m_pStandard = m_pFrame->GetStandardBar();
        m_pTimer = m_pFrame->GetTimerBar();
        PumpAndIdle();
    }
    // The bar list as titles, "-" for a row end.
    std::vector<CString> Rows(CXTPDockBar* pDockBar) const
    {
        std::vector<CString> rows;
        for (int i = 0; i < pDockBar->GetDockedCount(); i++)
        {
            CXTPToolBar* pBar = pDockBar->GetDockedBar(i);
            rows.push_back(pBar != NULL ? pBar->GetTitle() : CString(_T("-")));
        }
        return rows;
    }
    CRect Rect(CWnd* pWnd) const
    {
        CRect rc;
        pWnd->GetWindowRect(&rc);
        return rc;
    }
    void Layout()
    {
        m_pFrame->RecalcLayout();
        PumpAndIdle();
    }
    CXTPDockBar* m_pTop = NULL;
    CXTPToolBar* m_pStandard = NULL;
    CXTPToolBar* m_pTimer = NULL;
};

std::vector<CString> Strings(std::initializer_list<const char*> list)
{
    std::vector<CString> v;
    for (const char* p : list)
        v.push_back(CString(p));
    return v;
}
} // namespace

TEST_F(DockBarTest, TheGameBarsStandInTwoRows)
{
    EXPECT_EQ(Strings({ "-", "Menu Bar", "-", "Timer", "Standard", "-" }), Rows(m_pTop));
    EXPECT_EQ(xtpBarTop, m_pTop->GetPosition());
    EXPECT_THROW(m_pTop->GetDockedBar(99), CInvalidArgException*);
    EXPECT_EQ(Rect(m_pStandard).right, Rect(m_pTimer).left) << "the Timer bar right of the Standard bar";
    EXPECT_EQ(Rect(m_pFrame->GetMenuBar()).bottom, Rect(m_pStandard).top);
    EXPECT_EQ(Rect(m_pTop).Width(), Rect(m_pFrame->GetMenuBar()).Width()) << "the menu bar takes its whole row";

    CXTPDockBar::CToolBarArray arrRow;
    m_pTop->GetVisibleBarsInRow(m_pTop->FindBar(m_pTimer), arrRow);
    ASSERT_EQ(2, (int)arrRow.GetSize());
    EXPECT_EQ(m_pStandard, arrRow[0]) << "ordered by their left edges";
    EXPECT_EQ(m_pTimer, arrRow[1]);
}

TEST_F(DockBarTest, EmptyAndHiddenDockBarsTakeNoRoom)
{
    EXPECT_EQ(0, Rect(m_pCommandBars->GetDockBar(xtpBarLeft)).Width());
    EXPECT_EQ(0, Rect(m_pCommandBars->GetDockBar(xtpBarBottom)).Height());
    EXPECT_GT(Rect(m_pTop).Height(), 0);
    m_pFrame->GetMenuBar()->SetVisible(FALSE);
    m_pStandard->SetVisible(FALSE);
    m_pTimer->SetVisible(FALSE);
    Layout();
    EXPECT_EQ(0, Rect(m_pTop).Height());
}

TEST_F(DockBarTest, DroppingOnTheFarEdgeMakesANewRowInsideJoinsIt)
{
    // Onto the far edge of the menu bar's row: a row of its own between.
    CRect rc = Rect(m_pTimer);
    int nEdge = Rect(m_pFrame->GetMenuBar()).bottom;
    rc.OffsetRect(0, nEdge - rc.CenterPoint().y);
    m_pCommandBars->DockCommandBar(m_pTimer, &rc, m_pTop);
    EXPECT_EQ(Strings({ "-", "Menu Bar", "-", "Timer", "-", "Standard", "-" }), Rows(m_pTop));
    Layout();
    EXPECT_LT(Rect(m_pTimer).top, Rect(m_pStandard).top);

    // Inside the Standard bar's row: joins it at its start.
    rc = Rect(m_pTimer);
    rc.OffsetRect(Rect(m_pStandard).right - rc.left, Rect(m_pStandard).CenterPoint().y - rc.CenterPoint().y);
    m_pCommandBars->DockCommandBar(m_pTimer, &rc, m_pTop);
    EXPECT_EQ(Strings({ "-", "Menu Bar", "-", "Timer", "Standard", "-" }), Rows(m_pTop))
        << "the doubled row end went with the Timer bar's old row";

    // Docking at the same place changes nothing.
    Layout();
    std::vector<CString> before = Rows(m_pTop);
    rc = Rect(m_pTimer);
    m_pCommandBars->DockCommandBar(m_pTimer, &rc, m_pTop);
    EXPECT_EQ(before, Rows(m_pTop));
}

TEST_F(DockBarTest, RemovingTheOnlyBarOfARowRemovesTheRow)
{
    m_pTop->RemoveCommandBar(m_pFrame->GetMenuBar());
    EXPECT_EQ(Strings({ "-", "Timer", "Standard", "-" }), Rows(m_pTop));
    EXPECT_EQ(NULL, m_pFrame->GetMenuBar()->GetDockBar());
    EXPECT_FALSE(m_pTop->RemoveCommandBar(m_pFrame->GetMenuBar())) << "not there any more";
    m_pCommandBars->DockCommandBar(m_pFrame->GetMenuBar(), xtpBarTop);
}

TEST_F(DockBarTest, WholeRowAndStretchedBars)
{
    // A bar that takes a whole row is given a row of its own.
    m_pTimer->SetFlags(xtpFlagStretched);
    CRect rc = Rect(m_pTimer);
    rc.OffsetRect(1, 0);
    m_pCommandBars->DockCommandBar(m_pTimer, &rc, m_pTop);
    std::vector<CString> rows = Rows(m_pTop);
    int nTimer = m_pTop->FindBar(m_pTimer);
    EXPECT_EQ(NULL, m_pTop->GetDockedBar(nTimer - 1));
    EXPECT_EQ(NULL, m_pTop->GetDockedBar(nTimer + 1));
    Layout();
    EXPECT_EQ(Rect(m_pTop).Width(), Rect(m_pTimer).Width());
    m_pTimer->SetFlags(0, xtpFlagStretched);

    // A stretched bar fills the room its neighbours leave.
    rc = Rect(m_pTimer);
    rc.OffsetRect(Rect(m_pStandard).right - rc.left, Rect(m_pStandard).CenterPoint().y - rc.CenterPoint().y);
    m_pCommandBars->DockCommandBar(m_pTimer, &rc, m_pTop);
    m_pTimer->SetFlags(xtpFlagStretchedShared);
    Layout();
    EXPECT_EQ(Rect(m_pTop).right, Rect(m_pTimer).right);
    EXPECT_EQ(Rect(m_pStandard).right, Rect(m_pTimer).left);
}

TEST_F(DockBarTest, VerticalDocking)
{
    ASSERT_TRUE(m_pTimer->SetPosition(xtpBarLeft));
    Layout();
    CXTPDockBar* pLeft = m_pCommandBars->GetDockBar(xtpBarLeft);
    EXPECT_EQ(pLeft, m_pTimer->GetDockBar());
    EXPECT_EQ(xtpBarLeft, m_pTimer->GetPosition());
    CRect rcTimer = Rect(m_pTimer);
    EXPECT_GT(rcTimer.Height(), rcTimer.Width()) << "controls run top to bottom";
    EXPECT_EQ(rcTimer.Width(), Rect(pLeft).Width());
    CXTPControl* pPause = m_pTimer->GetControls()->FindControl(ID_TIMER_PAUSE);
    CXTPControl* pPlay = m_pTimer->GetControls()->FindControl(ID_TIMER_PLAY);
    EXPECT_GT(pPlay->GetRect().top, pPause->GetRect().top);
    EXPECT_EQ(Strings({ "-", "Menu Bar", "-", "Standard", "-" }), Rows(m_pTop));
}

TEST_F(DockBarTest, ADockBarIsFoundWithinTwentyPixels)
{
    CRect rcLeft = Rect(m_pCommandBars->GetDockBar(xtpBarLeft));
    CPoint ptInside(rcLeft.left - 19, rcLeft.CenterPoint().y);
    CPoint ptOutside(rcLeft.left - 20, rcLeft.CenterPoint().y);
    EXPECT_EQ(m_pCommandBars->GetDockBar(xtpBarLeft), m_pCommandBars->CanDock(ptInside));
    EXPECT_EQ(NULL, m_pCommandBars->CanDock(ptOutside));

    // The current dock bar wins where two are near.
    CRect rcTop = Rect(m_pTop);
    CPoint ptCorner(rcTop.left + 2, rcTop.bottom + 2);
    CXTPDockBar* pLeft = m_pCommandBars->GetDockBar(xtpBarLeft);
    EXPECT_EQ(m_pTop, m_pCommandBars->CanDock(ptCorner));
    EXPECT_EQ(pLeft, m_pCommandBars->CanDock(ptCorner, pLeft));
}

TEST_F(DockBarTest, ARebarHostsToolbarsAsBands)
{
    // The rebar is the frame's child 0xE804; a custom toolbar made while it
    // is there becomes its band too.
    CXTPReBar* pReBar = new CXTPReBar();
    ASSERT_TRUE(pReBar->Create(m_pFrame));
    pReBar->m_bAutoDelete = TRUE;
    ASSERT_EQ(pReBar, m_pCommandBars->GetReBar());
    EXPECT_EQ(0, pReBar->GetBandCount());

    ASSERT_TRUE(pReBar->AddToolBar(m_pTimer));
    EXPECT_EQ(1, pReBar->GetBandCount());
    EXPECT_EQ(0, pReBar->FindBand(m_pTimer));
    EXPECT_EQ(nullptr, m_pTimer->GetDockBar()) << "the band's bar has left its dock bar";
    EXPECT_FALSE(m_pTimer->GetShowGripper());
    EXPECT_EQ(Strings({ "-", "Menu Bar", "-", "Standard", "-" }), Rows(m_pTop));
    REBARBANDINFO rbbi = {};
    rbbi.cbSize = REBARBANDINFOA_V3_SIZE;
    rbbi.fMask = RBBIM_ID | RBBIM_STYLE;
    ASSERT_TRUE(pReBar->SendMessage(RB_GETBANDINFO, 0, (LPARAM)&rbbi));
    EXPECT_EQ(130u, rbbi.wID);
    EXPECT_EQ(129u, rbbi.fStyle);

    CXTPToolBar* pCustom = m_pCommandBars->CreateCustomToolBar(_T("Custom"), 7000);
    ASSERT_NE(nullptr, pCustom);
    EXPECT_EQ(2, pReBar->GetBandCount());
    EXPECT_EQ(1, pReBar->FindBand(pCustom));

    // Removing a bar deletes its band; a bar without a band is not found.
    m_pCommandBars->Remove(pCustom);
    EXPECT_EQ(1, pReBar->GetBandCount());
    EXPECT_EQ(-1, pReBar->FindBand(m_pStandard));
    pReBar->DeleteToolBar(m_pStandard);
    EXPECT_EQ(1, pReBar->GetBandCount());
    pReBar->DeleteToolBar(m_pTimer);
    EXPECT_EQ(0, pReBar->GetBandCount());
    pReBar->DestroyWindow();
}

TEST_F(DockBarTest, ABarThatCannotShrinkNeedsTheWholeLineWhenTheRowIsSqueezed)
{
    m_pCommandBars->GetCommandBarsOptions()->bShowExpandButtonAlways = FALSE;
    m_pStandard->SetFlags(xtpFlagHideWrap);
    m_pTimer->SetFlags(0, xtpFlagHideWrap);
    Layout();
    ASSERT_EQ(Rect(m_pStandard).top, Rect(m_pTimer).top) << "one row while both fit";
    int nStandard = Rect(m_pStandard).Width();
    int nTimer = Rect(m_pTimer).Width();
    int nStandardMin = m_pStandard->CalcDockingLayout(1, LM_HORZ | LM_HORZDOCK | LM_HIDEWRAP).cx;
    int nWidth = nStandard + nTimer - 8;
    ASSERT_LT(nStandardMin + nTimer, nWidth) << "squeezing the Standard bar alone would make room";

    CRect rcFrame, rcClient;
    m_pFrame->GetWindowRect(&rcFrame);
    m_pFrame->GetClientRect(&rcClient);
    m_pFrame->SetWindowPos(NULL, 0, 0, nWidth + rcFrame.Width() - rcClient.Width(), rcFrame.Height(),
                           SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Layout();
    ASSERT_EQ(nWidth, Rect(m_pTop).Width());
    EXPECT_EQ(Rect(m_pStandard).bottom, Rect(m_pTimer).top) << "the Timer bar takes a line of its own";
    EXPECT_EQ(nTimer, Rect(m_pTimer).Width()) << "at its full width";
    EXPECT_EQ(nStandard, Rect(m_pStandard).Width()) << "the Standard bar keeps its buttons";
}
