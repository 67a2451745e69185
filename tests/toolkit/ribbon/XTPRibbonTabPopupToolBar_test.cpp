// The popup of a minimised ribbon's tab: where it opens, what it shows and
// how it closes, also on a frame whose caption the ribbon draws, clicked and
// closed by real input.
// ctest: run-serial
#include "ribbon_testframe.h"

#include "XTPPopupBar.h"

using namespace ribbontest;

namespace
{
using TabPopupTest = RibbonSampleTest;
} // namespace

TEST_F(TabPopupTest, AMinimisedRibbonOpensATabsGroupsInAPopup)
{
    m_pRibbon->SetMinimized(TRUE);
    m_pFrame->Settle();
    EXPECT_EQ(NULL, m_pRibbon->GetSelectedTab());
    CXTPRibbonTab* pInsert = m_pRibbon->GetTab(1);
    CPoint pt = pInsert->GetRect().CenterPoint();
    m_pRibbon->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    m_pRibbon->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    PumpAndIdle();
    EXPECT_EQ(pInsert, m_pRibbon->GetSelectedTab());
    CXTPPopupBar* pPopup = TopTrackedPopup();
    ASSERT_TRUE(pPopup != NULL);
    CXTPRibbonTabPopupToolBar* pTabPopup = DYNAMIC_DOWNCAST(CXTPRibbonTabPopupToolBar, pPopup);
    ASSERT_TRUE(pTabPopup != NULL);
    EXPECT_TRUE(pTabPopup->IsWindowVisible());
    CRect rcPopup, rcRibbon;
    pTabPopup->GetWindowRect(&rcPopup);
    m_pRibbon->GetWindowRect(&rcRibbon);
    EXPECT_EQ(rcRibbon.left, rcPopup.left);
    EXPECT_EQ(m_pRibbon->CalcGroupsHeight(), rcPopup.Height());
    EXPECT_EQ(4, pTabPopup->GetShownTab()->GetGroups()->GetCount());
    pTabPopup->RedrawWindow();
    PumpAndIdle();
    EXPECT_TRUE(SaveScreenPicture(m_pFrame->m_hWnd, "ribbon_minimized_popup"));

    // Closing the popup leaves no tab selected.
    m_pFrame->GetCommandBars()->ClosePopups();
    PumpAndIdle();
    EXPECT_EQ(NULL, m_pRibbon->GetSelectedTab());
    EXPECT_TRUE(m_pRibbon->IsMinimized());

    // Not minimised: the tab strip opens no popup.
    m_pRibbon->SetMinimized(FALSE);
    EXPECT_FALSE(m_pRibbon->GetControlTab()->OnSetPopup(TRUE));
}

namespace
{
// The minimised ribbon of a frame whose caption the ribbon draws.
class FrameDrawnTabPopupTest : public TabPopupTest
{
protected:
    void SetUp() override
    {
        TabPopupTest::SetUp();
        m_pRibbon->EnableFrameTheme(TRUE);
        m_pFrame->Settle();
        ASSERT_TRUE(m_pRibbon->GetFrameManager() != NULL);
    }
    CPoint TabCentre(int nTab) const
    {
        CPoint pt = m_pRibbon->GetTab(nTab)->GetRect().CenterPoint();
        m_pRibbon->ClientToScreen(&pt);
        return pt;
    }
    CXTPRibbonTabPopupToolBar* OpenTabPopup() const
    {
        CXTPRibbonTabPopupToolBar* pPopup = NULL;
        PumpUntil([&]() {
            pPopup = DYNAMIC_DOWNCAST(CXTPRibbonTabPopupToolBar, TopTrackedPopup());
            return pPopup != NULL && pPopup->IsWindowVisible();
        });
        return pPopup;
    }
    // A real double click on the selected tab minimises the ribbon.
    void MinimiseByDoubleClick()
    {
        ASSERT_EQ(m_pRibbon->GetTab(0), m_pRibbon->GetSelectedTab());
        RealClick(TabCentre(0), 2);
        ASSERT_TRUE(PumpUntil([&]() { return m_pRibbon->IsMinimized(); }));
        m_pFrame->Settle();
        ASSERT_EQ(NULL, m_pRibbon->GetSelectedTab());
        ASSERT_EQ(NULL, TopTrackedPopup());
    }
};
} // namespace

TEST_F(FrameDrawnTabPopupTest, AClickOnATabOpensItsPopupAndEscapeClosesIt)
{
    MinimiseByDoubleClick();
    RealClick(TabCentre(1));
    CXTPRibbonTabPopupToolBar* pPopup = OpenTabPopup();
    ASSERT_TRUE(pPopup != NULL) << "no popup opened under the clicked tab";
    EXPECT_EQ(m_pRibbon->GetTab(1), m_pRibbon->GetSelectedTab());
    EXPECT_EQ(m_pRibbon->GetTab(1)->GetGroups()->GetCount(), pPopup->GetShownTab()->GetGroups()->GetCount());
    // It opens under the tab row, as wide as the ribbon.
    CRect rcPopup, rcRibbon, rcTabs = m_pRibbon->GetControlTab()->GetRect();
    pPopup->GetWindowRect(&rcPopup);
    m_pRibbon->GetWindowRect(&rcRibbon);
    m_pRibbon->ClientToScreen(&rcTabs);
    EXPECT_EQ(rcTabs.bottom, rcPopup.top);
    EXPECT_EQ(rcRibbon.left, rcPopup.left);
    pPopup->RedrawWindow();
    PumpAndIdle();
    EXPECT_TRUE(SaveScreenPicture(m_pFrame->m_hWnd, "frame_drawn_minimized_popup"));

    RealKey(VK_ESCAPE);
    EXPECT_TRUE(PumpUntil([&]() { return TopTrackedPopup() == NULL; })) << "Escape left the popup open";
    EXPECT_TRUE(PumpUntil([&]() { return m_pRibbon->GetSelectedTab() == NULL; }));
    EXPECT_TRUE(m_pRibbon->IsMinimized());

    // The same tab opens again on the next click.
    RealClick(TabCentre(1));
    EXPECT_TRUE(OpenTabPopup() != NULL);
}

TEST_F(FrameDrawnTabPopupTest, AnotherTabOpensItsOwnGroupsAndAClickOutsideOrOnTheTabCloses)
{
    MinimiseByDoubleClick();
    RealClick(TabCentre(2));
    ASSERT_TRUE(OpenTabPopup() != NULL);
    EXPECT_EQ(m_pRibbon->GetTab(2), m_pRibbon->GetSelectedTab());

    // A click on another tab while the popup is open shows that tab's groups.
    RealClick(TabCentre(0));
    CXTPRibbonTabPopupToolBar* pPopup = OpenTabPopup();
    ASSERT_TRUE(pPopup != NULL) << "a click on another tab closed the popup";
    EXPECT_EQ(m_pRibbon->GetTab(0), m_pRibbon->GetSelectedTab());
    ASSERT_EQ(m_pRibbon->GetTab(0)->GetGroups()->GetCount(), pPopup->GetShownTab()->GetGroups()->GetCount());
    EXPECT_EQ(m_pRibbon->GetTab(0)->GetGroups()->GetAt(0)->GetCaption(),
              pPopup->GetShownTab()->GetGroups()->GetAt(0)->GetCaption());

    // A click on the open tab closes its popup.
    RealClick(TabCentre(0));
    EXPECT_EQ(NULL, TopTrackedPopup()) << "a click on the open tab left its popup open";
    EXPECT_EQ(NULL, m_pRibbon->GetSelectedTab());

    // A click in the frame's client area, below the popup, closes it.
    RealClick(TabCentre(1));
    ASSERT_TRUE(OpenTabPopup() != NULL);
    CRect rcClient;
    m_pFrame->GetClientRect(&rcClient);
    CPoint ptOutside(rcClient.CenterPoint().x, rcClient.bottom - 20);
    m_pFrame->ClientToScreen(&ptOutside);
    RealClick(ptOutside);
    EXPECT_TRUE(PumpUntil([&]() { return TopTrackedPopup() == NULL; })) << "a click outside left the popup open";
    EXPECT_EQ(NULL, m_pRibbon->GetSelectedTab());
    EXPECT_TRUE(m_pRibbon->IsMinimized());
    m_pFrame->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    PumpAndIdle();
    EXPECT_TRUE(SaveScreenPicture(m_pFrame->m_hWnd, "frame_drawn_minimized_closed"));
}
