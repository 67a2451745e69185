// The appearance and difficulty profile grids: their rows, what their edits
// report and apply, and the checks of a difficulty profile.
// ctest: run-serial
#include "ProfilePropGrids.h"
#include "resource.h"
#include "support/infomessages.h"
#include "support/propertygrid_fixture.h"
#include "support/snapshot.h"

namespace
{
::testing::Environment* const s_env = ::testing::AddGlobalTestEnvironment(new testsupport::Environment());

// A profile grid in the host, created as the profile dialogs create theirs.
template <class TGrid>
class ProfileGridTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_host.CreateHost(40, 40, 300, 420));
        ASSERT_TRUE(m_grid.Create(CRect(7, 7, 290, 400), &m_host, IDC_PROFILE_GRID));
    }
    void TearDown() override
    {
        testsupport::SetKeyDown(VK_SHIFT, false);
        m_grid.DestroyWindow();
        m_host.DestroyWindow();
        testsupport::PumpPending();
    }
    std::vector<CString> Captions()
    {
        std::vector<CString> captions;
        for (int i = 0; i < m_grid.GetGridView().GetCount(); i++)
            captions.push_back(m_grid.GetGridView().GetItem(i)->GetCaption());
        return captions;
    }
    CPoint CaptionPoint(CXTPPropertyGridItem* pItem)
    {
        CRect rc = pItem->GetItemRect();
        return CPoint(rc.left + 40, rc.CenterPoint().y);
    }
    std::vector<UINT> ChangedIDs()
    {
        std::vector<UINT> ids;
        for (LPARAM lParam : m_host.Notes(XTP_PGN_ITEMVALUE_CHANGED))
            ids.push_back(((CXTPPropertyGridItem*)lParam)->GetID());
        return ids;
    }

    testsupport::NotifyHost m_host;
    TGrid m_grid;
};

using AppearanceGridTest = ProfileGridTest<CAppearancePropGrid>;
using GradeGridTest = ProfileGridTest<CGradeInfoPropGrid>;

TEST_F(AppearanceGridTest, StandardProfileShowsTwoCategoriesOfColourRows)
{
    m_grid.SetAppearanceInfo(CAppearanceInfo::MakeStandardProfile());
    m_grid.RefreshItems();

    CXTPPropertyGridItems* pCategories = m_grid.GetCategories();
    ASSERT_EQ(2, pCategories->GetCount());
    EXPECT_STREQ("Number Colour", pCategories->GetAt(0)->GetCaption());
    EXPECT_EQ((UINT)IDS_NUMBER_COLOUR, pCategories->GetAt(0)->GetID());
    EXPECT_STREQ("Matrix Static Control", pCategories->GetAt(1)->GetCaption());
    EXPECT_EQ(0u, pCategories->GetAt(1)->GetID());
    ASSERT_EQ(12, pCategories->GetAt(0)->GetChilds()->GetCount());
    ASSERT_EQ(3, pCategories->GetAt(1)->GetChilds()->GetCount());
    for (int i = 0; i < 12; i++)
        EXPECT_EQ((UINT)i, pCategories->GetAt(0)->GetChilds()->GetAt(i)->GetID());
    for (int i = 0; i < 3; i++)
        EXPECT_EQ((UINT)(16 + i), pCategories->GetAt(1)->GetChilds()->GetAt(i)->GetID());
    for (UINT nID = 12; nID <= 15; nID++)
        EXPECT_TRUE(m_grid.FindItem(nID) == NULL);
    EXPECT_EQ(17, m_grid.GetGridView().GetCount());
    EXPECT_FALSE(m_grid.IsHelpVisible());

    CXTPPropertyGridItem* pShadedFill = m_grid.FindItem("Shaded Fill Colour");
    ASSERT_TRUE(pShadedFill != NULL);
    EXPECT_STREQ("51; 51; 51", pShadedFill->GetValue());
    EXPECT_EQ(2u, pShadedFill->GetID());
    EXPECT_EQ(RGB(181, 189, 210), (COLORREF)m_grid.GetPaintManager()->GetItemMetrics()->m_clrLine);
}

TEST_F(AppearanceGridTest, AnEditedColourReachesTheOwnerAndAppliesByItsId)
{
    CAppearanceInfo standard = CAppearanceInfo::MakeStandardProfile();
    m_grid.SetAppearanceInfo(standard);
    m_grid.RefreshItems();
    CXTPPropertyGridItem* pOff = m_grid.FindItem("Off Colour");
    ASSERT_TRUE(pOff != NULL);

    pOff->Select();
    pOff->SetFocusToInplaceControl();
    m_grid.GetInplaceEdit().SetWindowText("0; 0; 255");
    m_grid.GetGridView().SetFocus();

    ASSERT_EQ(std::vector<UINT>{17}, ChangedIDs());
    EXPECT_EQ(XTPWM_PROPERTYGRID_NOTIFY, 0x2ADF);
    // The grid's own copy is untouched; the owner applies the edit.
    EXPECT_EQ(standard.m_crMCOff, m_grid.GetAppearanceInfo().m_crMCOff);
    CAppearanceInfo edited(standard);
    EXPECT_TRUE(ApplyAppearanceEdit(edited, pOff));
    EXPECT_EQ(RGB(0, 0, 255), edited.m_crMCOff);
    EXPECT_EQ(standard.m_crBorder, edited.m_crBorder);
    EXPECT_FALSE(ApplyAppearanceEdit(edited, m_grid.GetCategories()->GetAt(0)));
}

TEST_F(AppearanceGridTest, FlatViewIsSortedByCaptionAndRefreshShowsCategoriesAgain)
{
    m_grid.SetAppearanceInfo(CAppearanceInfo::MakePrintingProfile());
    m_grid.RefreshItems();
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(m_host.m_hWnd, "appearance_grid_categorized").empty());

    m_grid.GetGridView().SetSortMode(xtpGridSortAlphabetical);
    std::vector<CString> captions = Captions();
    ASSERT_EQ(15u, captions.size());
    EXPECT_STREQ("Adjacent Shaded Fill Colour", captions.front());
    EXPECT_STREQ("Unshaded Number Colour", captions.back());
    EXPECT_TRUE(std::is_sorted(captions.begin(), captions.end(),
                               [](const CString& a, const CString& b) { return strcmp(a, b) < 0; }));
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(m_host.m_hWnd, "appearance_grid_flat").empty());

    m_grid.RefreshItems();
    EXPECT_EQ(xtpGridSortCategorized, m_grid.GetGridView().GetSortMode());
    EXPECT_EQ(17, m_grid.GetGridView().GetCount());
}

TEST_F(GradeGridTest, LockedIdentityMakesNameColumnsAndRowsReadOnly)
{
    m_grid.SetGradeInfo(CGradeInfo::MakeFiendishProfile());
    m_grid.RefreshItems(TRUE);
    std::vector<CString> categories;
    for (int i = 0; i < m_grid.GetCategories()->GetCount(); i++)
        categories.push_back(m_grid.GetCategories()->GetAt(i)->GetCaption());
    std::vector<CString> expected = {"Profile Name", "Puzzle Settings", "Completion Features", "Timer Settings"};
    EXPECT_EQ(expected, categories);
    EXPECT_EQ(14, m_grid.GetGridView().GetCount());
    EXPECT_TRUE(m_grid.FindItem(508) == NULL);

    const UINT nLocked[] = {500, 501, 502};
    for (UINT nID : nLocked)
        EXPECT_TRUE(m_grid.FindItem(nID)->GetReadOnly()) << nID;
    const UINT nOpen[] = {503, 504, 505, 506, 507, 509, 510};
    for (UINT nID : nOpen)
        EXPECT_FALSE(m_grid.FindItem(nID)->GetReadOnly()) << nID;
    EXPECT_STREQ("Fiendish", m_grid.FindItem(500)->GetValue());
    EXPECT_STREQ("17", m_grid.FindItem(501)->GetValue());
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(m_host.m_hWnd, "difficulty_grid").empty());

    m_grid.RefreshItems(FALSE);
    for (UINT nID : nLocked)
        EXPECT_FALSE(m_grid.FindItem(nID)->GetReadOnly()) << nID;
}

TEST_F(GradeGridTest, DoubleClickFlipsAnAidAndItAppliesThroughTheBoolItem)
{
    m_grid.SetGradeInfo(CGradeInfo::MakeEasyProfile());
    m_grid.RefreshItems(TRUE);
    CXTPPropertyGridItemBool* pIsland = dynamic_cast<CXTPPropertyGridItemBool*>(m_grid.FindItem(503));
    ASSERT_TRUE(pIsland != NULL);
    BOOL bBefore = pIsland->GetBool();

    CPoint pt = CaptionPoint(pIsland);
    m_grid.GetGridView().SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    m_grid.GetGridView().SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    EXPECT_NE(bBefore, pIsland->GetBool());
    EXPECT_EQ(std::vector<UINT>{503}, ChangedIDs());

    CGradeInfo info = CGradeInfo::MakeEasyProfile();
    EXPECT_TRUE(ApplyGradeInfoEdit(info, pIsland));
    EXPECT_EQ(pIsland->GetBool() ? 1 : 0, info.m_bShowIslandSquares);
    // A caption that merely reads "True" in another letter case still counts.
    pIsland->SetValue("TRUE");
    EXPECT_TRUE(ApplyGradeInfoEdit(info, pIsland));
    EXPECT_EQ(1, info.m_bShowIslandSquares);

    EXPECT_TRUE(ApplyGradeInfoEdit(info, m_grid.FindItem(501)));
    EXPECT_EQ(CGradeInfo::MakeEasyProfile().m_nColumns, info.m_nColumns);
    EXPECT_FALSE(ApplyGradeInfoEdit(info, m_grid.GetCategories()->GetAt(0)));
}

TEST_F(GradeGridTest, PaneEditsOutsideTheLimitsAreRefusedWithTheEditorsMessage)
{
    testsupport::InfoMessageRecorder messages;
    CGradeInfo profile = CGradeInfo::MakeEasyProfile();
    profile.m_nMinutesToComplete = 10;
    profile.m_bForceComplete = 1;
    m_grid.SetGradeInfo(profile);
    m_grid.SetValidateEdits(TRUE);
    m_grid.RefreshItems(TRUE);

    // 0 minutes with Force Complete would end the puzzle at once.
    CXTPPropertyGridItem* pMinutes = m_grid.FindItem(509);
    pMinutes->Select();
    pMinutes->SetFocusToInplaceControl();
    m_grid.GetInplaceEdit().SetWindowText("0");
    m_grid.GetGridView().SetFocus();
    EXPECT_STREQ("10", pMinutes->GetValue());
    EXPECT_TRUE(ChangedIDs().empty());
    ASSERT_EQ(1u, testsupport::InfoMessages().size());
    EXPECT_EQ("'Minutes To Complete' must be between 1 and 60", testsupport::InfoMessages()[0]);

    // 61 is refused too, 60 passes and is kept for the next check.
    pMinutes->OnSelect();
    pMinutes->SetFocusToInplaceControl();
    m_grid.GetInplaceEdit().SetWindowText("61");
    m_grid.GetGridView().SetFocus();
    EXPECT_STREQ("10", pMinutes->GetValue());
    pMinutes->OnSelect();
    pMinutes->SetFocusToInplaceControl();
    m_grid.GetInplaceEdit().SetWindowText("0");
    m_grid.FindItem(510)->Select();  // moving on commits
    EXPECT_EQ(3u, testsupport::InfoMessages().size());

    // Without Force Complete, 0 minutes is fine.
    CXTPPropertyGridItem* pForce = m_grid.FindItem(510);
    EXPECT_TRUE(pForce->SelectNextConstraint());
    EXPECT_STREQ("False", pForce->GetValue());
    EXPECT_EQ(0, m_grid.GetGradeInfo().m_bForceComplete);
    pMinutes->Select();
    pMinutes->SetFocusToInplaceControl();
    m_grid.GetInplaceEdit().SetWindowText("0");
    m_grid.GetGridView().SetFocus();
    EXPECT_STREQ("0", pMinutes->GetValue());
    EXPECT_EQ(0, m_grid.GetGradeInfo().m_nMinutesToComplete);

    // ... but then Force Complete may not be switched back on.
    EXPECT_FALSE(pForce->SelectNextConstraint());
    EXPECT_STREQ("False", pForce->GetValue());
    EXPECT_EQ((std::vector<UINT>{510, 509}), ChangedIDs());
}

// A puzzle may have a size the editor does not offer (from a file, or a
// stored profile): the pane shows it read-only, and it must not block the
// aids or the time with a message about the columns.
TEST_F(GradeGridTest, APaneSizeOutsideTheEditorsLimitsBlocksNoOtherEdit)
{
    testsupport::InfoMessageRecorder messages;
    CGradeInfo profile = CGradeInfo::MakeEasyProfile();
    profile.m_nColumns = 3;
    profile.m_nRows = 30;
    m_grid.SetGradeInfo(profile);
    m_grid.SetValidateEdits(TRUE);
    m_grid.RefreshItems(TRUE);

    CXTPPropertyGridItem* pMinutes = m_grid.FindItem(509);
    pMinutes->Select();
    pMinutes->SetFocusToInplaceControl();
    m_grid.GetInplaceEdit().SetWindowText("45");
    m_grid.GetGridView().SetFocus();
    EXPECT_STREQ("45", pMinutes->GetValue());
    EXPECT_EQ(45, m_grid.GetGradeInfo().m_nMinutesToComplete);

    CXTPPropertyGridItem* pIsland = m_grid.FindItem(503);
    EXPECT_TRUE(pIsland->SelectNextConstraint());
    EXPECT_EQ(0, m_grid.GetGradeInfo().m_bShowIslandSquares);
    EXPECT_TRUE(testsupport::InfoMessages().empty());
    EXPECT_EQ((std::vector<UINT>{509, 503}), ChangedIDs());

    // The time's own limits still hold.
    pMinutes->OnSelect();
    pMinutes->SetFocusToInplaceControl();
    m_grid.GetInplaceEdit().SetWindowText("61");
    m_grid.GetGridView().SetFocus();
    EXPECT_STREQ("45", pMinutes->GetValue());
    ASSERT_EQ(1u, testsupport::InfoMessages().size());
    EXPECT_EQ("'Minutes To Complete' must be between 0 and 60", testsupport::InfoMessages()[0]);
}

TEST(GradeInfoChecks, AChangeIsCheckedOnlyAgainstTheRulesItTouches)
{
    CGradeInfo before = CGradeInfo::MakeEasyProfile();
    before.m_nColumns = 40;
    CString strMessage;
    CGradeInfo after(before);
    after.m_bEnableAutoMark = 0;
    EXPECT_TRUE(ValidateGradeInfoChange(before, after, strMessage)) << (LPCTSTR)strMessage;
    after.m_nRows = 18;
    EXPECT_FALSE(ValidateGradeInfoChange(before, after, strMessage));
    EXPECT_STREQ("Please enter a number between 5 and 17 for the number of Rows.", strMessage);
    after = before;
    after.m_nColumns = 41;
    EXPECT_FALSE(ValidateGradeInfoChange(before, after, strMessage));
    EXPECT_STREQ("Please enter a number between 5 and 17 for the number of Columns.", strMessage);
    after = before;
    after.m_nMinutesToComplete = 0;
    after.m_bForceComplete = 1;
    EXPECT_FALSE(ValidateGradeInfoChange(before, after, strMessage));
    EXPECT_STREQ("'Minutes To Complete' must be between 1 and 60", strMessage);
    // A stored time the editor would refuse does not block the aids either.
    before.m_nMinutesToComplete = 500;
    after = before;
    after.m_bShowIslandSquares = 0;
    EXPECT_TRUE(ValidateGradeInfoChange(before, after, strMessage));
}

TEST(GradeInfoChecks, EachLimitHasItsMessage)
{
    CString strMessage;
    CGradeInfo info;
    info.m_strProfileName = "Mine";
    EXPECT_TRUE(ValidateGradeInfo(info, TRUE, strMessage));
    EXPECT_TRUE(strMessage.IsEmpty());

    CGradeInfo noName;
    EXPECT_FALSE(ValidateGradeInfo(noName, TRUE, strMessage));
    EXPECT_STREQ("Please enter a Profile Name.", strMessage);
    EXPECT_TRUE(ValidateGradeInfo(noName, FALSE, strMessage));

    const int nColumns[] = {4, 18};
    for (int n : nColumns)
    {
        CGradeInfo bad(info);
        bad.m_nColumns = n;
        EXPECT_FALSE(ValidateGradeInfo(bad, TRUE, strMessage));
        EXPECT_STREQ("Please enter a number between 5 and 17 for the number of Columns.", strMessage);
        bad.m_nColumns = 9;
        bad.m_nRows = n;
        EXPECT_FALSE(ValidateGradeInfo(bad, TRUE, strMessage));
        EXPECT_STREQ("Please enter a number between 5 and 17 for the number of Rows.", strMessage);
    }
    CGradeInfo edge(info);
    edge.m_nColumns = 5;
    edge.m_nRows = 17;
    edge.m_nMinutesToComplete = 60;
    EXPECT_TRUE(ValidateGradeInfo(edge, TRUE, strMessage));
    edge.m_nMinutesToComplete = 61;
    EXPECT_FALSE(ValidateGradeInfo(edge, TRUE, strMessage));
    EXPECT_STREQ("'Minutes To Complete' must be between 0 and 60", strMessage);
}
} // namespace
