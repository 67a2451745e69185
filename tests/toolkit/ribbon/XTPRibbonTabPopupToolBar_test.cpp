// The popup of a minimised ribbon's tab: where it opens, what it shows and
// how it closes.
// ctest: run-serial
#include "ribbon_testframe.h"

#include "XTPPopupBar.h"

using namespace ribbontest;

namespace
{
class TabPopupTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_nLive = LiveObjects();
        m_pFrame = new CRibbonFrame();
        ASSERT_TRUE(m_pFrame->CreateRibbonFrame(CRect(20, 20, 840, 420), TRUE));
        m_pFrame->SetForegroundWindow();
        m_pRibbon = m_pFrame->GetRibbon();
        m_pFrame->BuildSample();
    }
    void TearDown() override
    {
        XTPMouseManager()->CloseAllTracked();
        m_pFrame->DestroyRibbonFrame();
        PumpAndIdle();
        EXPECT_EQ(m_nLive, LiveObjects());
    }
    void Resize(int cx, int cy)
    {
        m_pFrame->SetWindowPos(NULL, 0, 0, cx, cy, SWP_NOMOVE | SWP_NOZORDER);
        m_pFrame->Settle();
        m_pFrame->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        PumpAndIdle();
    }
    CRibbonFrame* m_pFrame = NULL;
    CXTPRibbonBar* m_pRibbon = NULL;
    LONG m_nLive = 0;
};
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
