// ctest: run-serial
// A group of panes whose tabs keep their widths (more of them than the strip
// holds): the selected tab is scrolled into the strip whether it was chosen
// by a real click on a half-shown tab, selected from code or newly attached.
#include "support/dockingframe.h"
#include "support/mouseinput.h"
#include "support/pump.h"
#include "support/wndtest.h"

#include <XTPTabPaintManager.h>
#include <gtest/gtest.h>

namespace
{
using testsupport::GroupOf;
::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new testsupport::Environment);

void PrintTo(const CRect& rc, std::ostream* os)
{
    *os << "(" << rc.left << ", " << rc.top << ", " << rc.right << ", " << rc.bottom << ")";
}

class TabScrollTest : public testsupport::DockingFrameTest
{
protected:
    void SetUp() override
    {
        CreateFrame(CSize(640, 480));
        manager().GetPaintManager()->GetPanelPaintManager()->SetLayout(xtpTabLayoutAutoSize);
        m_arrPanes.push_back(AddPane(1, _T("First pane of the group"), xtpPaneDockLeft, CSize(200, 200)));
        for (int i = 2; i <= 6; i++)
        {
            CString strTitle;
            strTitle.Format(_T("Pane number %d"), i);
            CXTPDockingPane* pPane = AddPane(i, strTitle, xtpPaneDockLeft, CSize(200, 200));
            manager().AttachPane(pPane, m_arrPanes[0]);
            m_arrPanes.push_back(pPane);
        }
        pFrame->ShowWindow(SW_SHOW);
        pFrame->SetForegroundWindow();
        Layout();
        testsupport::Pump(50);
        m_pGroup = GroupOf(m_arrPanes[0]);
        ASSERT_TRUE(m_pGroup != NULL);
        ASSERT_GT(m_pGroup->GetItemsLength(), m_pGroup->GetHeaderRect().Width()) << "the tabs do not fit";
    }
    // The selected tab lies whole inside the strip.
    ::testing::AssertionResult SelectedTabShows(CXTPDockingPane* pPane)
    {
        if (m_pGroup->GetSelected() != pPane)
            return ::testing::AssertionFailure() << "another pane is selected";
        CXTPTabManagerItem* pItem = m_pGroup->GetSelectedItem();
        if (pItem == NULL || pItem->GetData() != (DWORD_PTR)pPane)
            return ::testing::AssertionFailure() << "the pane's tab is not the selected tab";
        CRect rcHeader = m_pGroup->GetHeaderRect();
        CRect rcItem = pItem->GetRect();
        if (rcItem.IsRectEmpty() || rcItem.left < rcHeader.left || rcItem.right > rcHeader.right)
            return ::testing::AssertionFailure() << "the tab " << ::testing::PrintToString(rcItem)
                                                 << " lies outside the strip "
                                                 << ::testing::PrintToString(rcHeader);
        return ::testing::AssertionSuccess();
    }

    std::vector<CXTPDockingPane*> m_arrPanes;
    CXTPDockingPaneTabbedContainer* m_pGroup = NULL;
};
} // namespace

TEST_F(TabScrollTest, APaneSelectedFromCodeOrNewlyAttachedShowsItsTab)
{
    manager().ShowPane(m_arrPanes[5]);
    Layout();
    EXPECT_TRUE(SelectedTabShows(m_arrPanes[5]));
    EXPECT_LT(m_pGroup->GetScrollOffset(), 0);

    manager().ShowPane(m_arrPanes[0]);
    Layout();
    EXPECT_TRUE(SelectedTabShows(m_arrPanes[0]));
    EXPECT_EQ(0, m_pGroup->GetScrollOffset());

    CXTPDockingPane* pNew = AddPane(7, _T("Pane attached last"), xtpPaneDockLeft, CSize(200, 200));
    manager().AttachPane(pNew, m_arrPanes[0]);
    Layout();
    EXPECT_TRUE(SelectedTabShows(pNew));
}

TEST_F(TabScrollTest, AClickOnAHalfShownTabScrollsItIntoTheStrip)
{
    manager().ShowPane(m_arrPanes[0]);
    Layout();
    ASSERT_EQ(0, m_pGroup->GetScrollOffset());
    CRect rcHeader = m_pGroup->GetHeaderRect();
    CXTPTabManagerItem* pCut = NULL;
    for (int i = 0; i < m_pGroup->GetItemCount() && pCut == NULL; i++)
    {
        CRect rc = m_pGroup->GetItem(i)->GetRect();
        if (rc.left < rcHeader.right - 4 && rc.right > rcHeader.right)
            pCut = m_pGroup->GetItem(i);
    }
    ASSERT_TRUE(pCut != NULL) << "a tab cut by the strip's end";
    CXTPDockingPane* pPane = (CXTPDockingPane*)pCut->GetData();

    CRect rcShown = pCut->GetRect();
    rcShown.right = rcHeader.right;
    CPoint pt = rcShown.CenterPoint();
    m_pGroup->CWnd::ClientToScreen(&pt);
    using testsupport::MouseInput;
    const DWORD dwAt = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    testsupport::SendInputs({MouseInput(dwAt, pt), MouseInput(dwAt | MOUSEEVENTF_LEFTDOWN, pt),
                             MouseInput(dwAt | MOUSEEVENTF_LEFTUP, pt)});
    for (int i = 0; i < 50 && m_pGroup->GetSelected() != pPane; i++)
        testsupport::Pump(20);
    testsupport::Pump(50);
    EXPECT_TRUE(SelectedTabShows(pPane));
    EXPECT_LT(m_pGroup->GetScrollOffset(), 0);
}
