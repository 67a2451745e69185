// Running a profile list: whatever the player did in it is stored at once,
// so that a session that does not end normally keeps its lists.
#include "support/gameapp.h"
#include "support/profilelists.h"

#include "ApplicationInfo.h"
#include "ObjectCreator.h"
#include "ProfileChoosers.h"

#include <string>
#include <vector>

namespace
{
::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new testsupport::Environment);

// The player empties the list of the kind and adds one profile of their own.
INT_PTR AFXAPI EmptyAndAddOne(int nKind, CWnd*, CHTDataContainer*, int* pnSelectedIndex, BOOL)
{
    if (nKind == htpkDifficulty)
    {
        g_ApplicationInfo.m_GradeInfoList.RemoveAll();
        CGradeInfo grade = CGradeInfo::MakeEasyProfile();
        grade.m_strProfileName = "Only";
        grade.m_nColumns = grade.m_nRows = 5;
        *pnSelectedIndex = g_ApplicationInfo.m_GradeInfoList.AddProfile(grade);
    }
    else
    {
        g_ApplicationInfo.m_AppearanceInfoList.RemoveAll();
        CAppearanceInfo appearance;
        appearance.m_strProfileName = "Only";
        *pnSelectedIndex = g_ApplicationInfo.m_AppearanceInfoList.AddProfile(appearance);
    }
    return IDCANCEL;   // closing the list keeps what was done in it
}
} // namespace

TEST(ProfileChoosers, AListIsStoredAsTheDialogLeavesItNotOnlyAtExit)
{
    testsupport::GameApp game;
    ASSERT_TRUE(game.Started());
    ASSERT_TRUE(g_ApplicationInfo.IsLoaded());
    PFN_RUNPROFILELIST pfnOld = SetProfileListHandler(&EmptyAndAddOne);
    int nSelected = -1;
    RunProfileListDlg(htpkDifficulty, game.Frame(), NULL, &nSelected);
    EXPECT_EQ(std::vector<std::string>{"Only"}, testsupport::StoredProfileNames<CGradeInfoList>());
    // The other kind is stored only by its own list.
    const std::vector<std::string> appearanceBefore = testsupport::StoredProfileNames<CAppearanceInfoList>();
    EXPECT_NE(std::vector<std::string>{"Only"}, appearanceBefore);
    RunProfileListDlg(htpkAppearance, game.Frame(), NULL, &nSelected);
    EXPECT_EQ(std::vector<std::string>{"Only"}, testsupport::StoredProfileNames<CAppearanceInfoList>());
    EXPECT_NE(appearanceBefore, testsupport::StoredProfileNames<CAppearanceInfoList>());
    SetProfileListHandler(pfnOld);
}
