// The last resort for a failure nothing caught: the profile lists the
// player changed are stored before the game ends, the player is told what
// happened and whether the profiles were kept, and only the first of
// several failures reports.
#include "support/profilelists.h"
#include "support/registry.h"
#include "support/wndtest.h"

#include "ApplicationInfo.h"
#include "GameFailure.h"

#include <string>
#include <vector>

namespace
{
::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new testsupport::Environment);

std::vector<std::string>& Told()
{
    static std::vector<std::string> list;
    return list;
}

void AFXAPI RecordFailureMessage(const CString& strText)
{
    Told().push_back((LPCTSTR)strText);
}

struct GameFailureTest : ::testing::Test
{
    void SetUp() override
    {
        testsupport::ClearGameRegistry();
        Told().clear();
        ResetGameFailureReport();
        m_pfnOld = SetGameFailureMessageHandler(&RecordFailureMessage);
    }
    void TearDown() override
    {
        SetGameFailureMessageHandler(m_pfnOld);
        ResetGameFailureReport();
        testsupport::ClearGameRegistry();
    }
    PFN_TELLGAMEFAILURE m_pfnOld = NULL;
};

// The stored difficulty profiles, read afresh.
std::vector<std::string> StoredGradeNames()
{
    return testsupport::StoredProfileNames<CGradeInfoList>();
}
} // namespace

TEST_F(GameFailureTest, AFailureBeforeTheProfilesWereReadWritesNothingAndSaysSo)
{
    // This test runs first: nothing has read the profiles yet.
    if (g_ApplicationInfo.IsLoaded())
        GTEST_SKIP() << "the profiles were read by an earlier test";
    EXPECT_FALSE(ReportGameFailure(0, NULL));
    ASSERT_EQ(1u, Told().size());
    EXPECT_NE(std::string::npos, Told()[0].find("could not be saved")) << Told()[0];
    // Nothing was written: the next start still finds the built-in list.
    EXPECT_FALSE(testsupport::RegistryValueExists("GradeInfo", "GradeInfoCount"));
    EXPECT_EQ(4u, StoredGradeNames().size());
}

TEST_F(GameFailureTest, AFaultStoresTheSessionsProfilesAndSaysTheGameMustClose)
{
    // The player emptied the difficulty list and added one of their own.
    g_ApplicationInfo.LoadFromRegistry();
    g_ApplicationInfo.m_GradeInfoList.RemoveAll();
    CGradeInfo grade = CGradeInfo::MakeEasyProfile();
    grade.m_strProfileName = "Mine";
    grade.m_nColumns = grade.m_nRows = 5;
    g_ApplicationInfo.m_GradeInfoList.AddProfile(grade);

    EXCEPTION_RECORD record = {};
    record.ExceptionCode = EXCEPTION_ACCESS_VIOLATION;
    record.ExceptionAddress = (PVOID)0x401234;
    CONTEXT context = {};
    EXCEPTION_POINTERS pointers = {&record, &context};
    EXPECT_EQ(EXCEPTION_EXECUTE_HANDLER, GameUnhandledExceptionFilter(&pointers));

    ASSERT_EQ(1u, Told().size());
    EXPECT_NE(std::string::npos, Told()[0].find("must close")) << Told()[0];
    EXPECT_NE(std::string::npos, Told()[0].find("0xC0000005")) << Told()[0];
    EXPECT_NE(std::string::npos, Told()[0].find("profiles have been saved")) << Told()[0];
    EXPECT_EQ(std::vector<std::string>{"Mine"}, StoredGradeNames());

    // A second failure (another thread, or the report itself) tells nothing
    // more.
    EXPECT_FALSE(ReportGameFailure(EXCEPTION_ACCESS_VIOLATION, NULL));
    EXPECT_EQ(1u, Told().size());
}

TEST_F(GameFailureTest, TheTextNamesTheFaultOnlyWhenThereIsOne)
{
    const std::string strFault = (LPCTSTR)GameFailureText(0xC00000FD, (const void*)0x10, TRUE);
    EXPECT_NE(std::string::npos, strFault.find("0xC00000FD"));
    const std::string strUncaught = (LPCTSTR)GameFailureText(0, NULL, FALSE);
    EXPECT_EQ(std::string::npos, strUncaught.find("0x"));
    EXPECT_NE(std::string::npos, strUncaught.find("could not be saved"));
}

namespace
{
void AFXAPI TellOnStandardError(const CString& strText)
{
    fprintf(stderr, "%s\n", (LPCTSTR)strText);
    fflush(stderr);
}

// In the dying child: the player's list changed in the session, the
// handlers installed as the program installs them.
void PrepareSession()
{
    InstallGameFailureHandlers();
    SetGameFailureMessageHandler(&TellOnStandardError);
    g_ApplicationInfo.LoadFromRegistry();
    g_ApplicationInfo.m_GradeInfoList.RemoveAll();
    CGradeInfo grade = CGradeInfo::MakeEasyProfile();
    grade.m_strProfileName = "Kept";
    g_ApplicationInfo.m_GradeInfoList.AddProfile(grade);
}

void FaultNow()
{
    volatile int* pNowhere = NULL;
    *pNowhere = 1;
}
} // namespace

// The real thing in a process of its own: a processor fault and a C++
// exception that reaches std::terminate each end the process after telling
// the player, with the session's profiles stored.
TEST_F(GameFailureTest, AFaultOrAnUncaughtExceptionEndsTheProcessWithTheProfilesStored)
{
    ::testing::FLAGS_gtest_death_test_style = "threadsafe";
    EXPECT_EXIT(
        {
            PrepareSession();
            FaultNow();
        },
        ::testing::ExitedWithCode((int)EXCEPTION_ACCESS_VIOLATION), "must close");
    EXPECT_EQ(std::vector<std::string>{"Kept"}, StoredGradeNames());

    testsupport::ClearGameRegistry();
    EXPECT_EXIT(
        {
            PrepareSession();
            std::terminate();
        },
        ::testing::ExitedWithCode(3), "must close");
    EXPECT_EQ(std::vector<std::string>{"Kept"}, StoredGradeNames());
}
