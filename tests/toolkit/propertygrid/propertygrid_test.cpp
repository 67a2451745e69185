// The property grid window: layout, panes, splitter drag, themes, navigation
// and the notification to its owner.
// ctest: run-serial
#include "XTPPropertyGrid.h"
#include "support/snapshot.h"
#include "support/window_host.h"

using testsupport::NotifyHost;

namespace
{
::testing::Environment* const s_env = ::testing::AddGlobalTestEnvironment(new testsupport::WindowEnvironment());

class GridTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_host.CreateHost(40, 40, 320, 360));
        ASSERT_TRUE(m_grid.Create(CRect(10, 10, 290, 300), &m_host, 1000));
    }
    void TearDown() override
    {
        m_grid.DestroyWindow();
        m_host.DestroyWindow();
        testsupport::PumpMessages();
    }

    NotifyHost m_host;
    CXTPPropertyGrid m_grid;
};

TEST_F(GridTest, SmokeSnapshot)
{
    CXTPPropertyGridItem* pCategory = m_grid.AddCategory("Appearance");
    pCategory->AddChildItem(new CXTPPropertyGridItem("Name", "Value"));
    pCategory->AddChildItem(new CXTPPropertyGridItemNumber("Number", 12));
    pCategory->AddChildItem(new CXTPPropertyGridItemBool("Flag", TRUE));
    pCategory->Expand();
    testsupport::PumpMessages();
    EXPECT_EQ(4, m_grid.GetGridView().GetCount());
    EXPECT_TRUE(testsupport::SaveWindowSnapshot(m_host.m_hWnd, "smoke"));
}
} // namespace
