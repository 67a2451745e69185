// ctest: lock registry (HKLM\Software\Orrisfield\Brindlemark)
// Appearance and difficulty profiles, their lists and the application
// settings, stored below HKLM\Software\Orrisfield\Brindlemark.
// ctest: lock registry
#include <gtest/gtest.h>

#include "ApplicationInfo.h"
#include "HTProfileList.h"
#include "XTRegistryManager.h"
#include "support/coretest.h"

#include <string>

using namespace coretest;

namespace
{
class ProfilesTest : public ::testing::Test
{
protected:
    void SetUp() override { ClearGameRegistry(); }
    void TearDown() override { ClearGameRegistry(); }
};

template <class LIST>
std::vector<int> Indexes(const LIST& list)
{
    std::vector<int> indexes;
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
        indexes.push_back(list.GetNext(pos).m_nIndex);
    return indexes;
}

CAppearanceInfo Distinct(int nSeed)
{
    CAppearanceInfo profile;
    for (int i = 0; i <= 18; i++)
        profile.SetColour(i, RGB(nSeed, i, 255 - i));
    CString strName;
    strName.Format("Profile %d", nSeed);
    profile.m_strProfileName = strName;
    return profile;
}
} // namespace

// Property indexes 0-11 are the board colours, 16-18 the clock
// colours; every other index changes nothing and reads as unset.
TEST(AppearanceInfoTest, ColourPropertyIndexes)
{
    CAppearanceInfo profile;
    for (int i = 0; i <= 11; i++)
        profile.SetColour(i, RGB(i, 1, 2));
    profile.SetColour(16, RGB(16, 1, 2));
    profile.SetColour(17, RGB(17, 1, 2));
    profile.SetColour(18, RGB(18, 1, 2));
    EXPECT_EQ(RGB(0, 1, 2), profile.m_crBorder);
    EXPECT_EQ(RGB(1, 1, 2), profile.m_crSquareBorder);
    EXPECT_EQ(RGB(6, 1, 2), profile.m_crIslandFill);
    EXPECT_EQ(RGB(9, 1, 2), profile.m_crUnshadedDupNumber);
    EXPECT_EQ(RGB(11, 1, 2), profile.m_crAdjacentShadedNumber);
    EXPECT_EQ(RGB(16, 1, 2), profile.m_crMCOn);
    EXPECT_EQ(RGB(17, 1, 2), profile.m_crMCOff);
    EXPECT_EQ(RGB(18, 1, 2), profile.m_crMCBack);

    CAppearanceInfo before = profile;
    for (int i : {12, 13, 14, 15, 19, -1, 1000, 0x7FFFFFFF})
    {
        profile.SetColour(i, RGB(200, 200, 200));
        EXPECT_EQ(HT_COLOUR_UNSET, profile.GetColour(i)) << i;
    }
    for (int i = 0; i <= 18; i++)
        EXPECT_EQ(before.GetColour(i), profile.GetColour(i)) << i;
    EXPECT_STREQ(before.m_strProfileName, profile.m_strProfileName);
    EXPECT_EQ(before.m_nIndex, profile.m_nIndex);
    EXPECT_EQ(before.m_nMainFontSize, profile.m_nMainFontSize);
}

TEST_F(ProfilesTest, AppearanceListBuiltInsWhenNothingIsStored)
{
    CAppearanceInfoList list;
    EXPECT_TRUE(list.LoadFromRegistry());
    ASSERT_EQ(2, list.GetCount());
    const CAppearanceInfo& standard = list.GetHead();
    const CAppearanceInfo& printing = list.GetTail();
    EXPECT_STREQ("Standard", standard.m_strProfileName);
    EXPECT_EQ(0, standard.m_nIndex);
    EXPECT_EQ(RGB(51, 51, 51), standard.m_crSquareBorder);
    EXPECT_EQ(RGB(0, 0, 128), standard.m_crIslandFill);
    EXPECT_STREQ("Printing", printing.m_strProfileName);
    EXPECT_EQ(1, printing.m_nIndex);
    EXPECT_EQ(RGB(100, 100, 100), printing.m_crBorder);
    EXPECT_EQ(RGB(100, 100, 100), printing.m_crUnshadedNumber);
    EXPECT_EQ(RGB(255, 255, 255), printing.m_crIslandFill);
    EXPECT_EQ(RGB(255, 255, 255), printing.m_crUnshadedDupFill);
    EXPECT_EQ(RGB(0, 255, 0), printing.m_crMCOn);
    EXPECT_EQ(30, printing.m_nMainFontSize);
    EXPECT_FALSE(RegistryValueExists("AppearanceInfo", "AppearanceInfoCount")) << "loading writes nothing";
}

TEST_F(ProfilesTest, AppearanceListRoundTripRenumbersByPosition)
{
    CAppearanceInfoList list;
    for (int n = 0; n < 3; n++)
    {
        CAppearanceInfo profile = Distinct(n + 10);
        profile.m_nIndex = 40 + n;
        list.AddTail(profile);
    }
    EXPECT_TRUE(list.SaveToRegistry());
    DWORD dwCount = 0;
    ASSERT_TRUE(ReadRegistryDword("AppearanceInfo", "AppearanceInfoCount", dwCount));
    EXPECT_EQ(3u, dwCount);
    EXPECT_TRUE(RegistryValueExists("AppearanceInfo", "0_BorderColour"));
    EXPECT_TRUE(RegistryValueExists("AppearanceInfo", "2_ProfileName"));
    EXPECT_TRUE(RegistryValueExists("AppearanceInfo", "1_MCBack"));
    EXPECT_TRUE(RegistryValueExists("AppearanceInfo", "1_AdjacentShadedNumberColour"));

    CAppearanceInfoList loaded;
    loaded.LoadFromRegistry();
    EXPECT_EQ((std::vector<int>{0, 1, 2}), Indexes(loaded));
    int n = 0;
    for (POSITION pos = loaded.GetHeadPosition(); pos != NULL; n++)
    {
        const CAppearanceInfo& profile = loaded.GetNext(pos);
        const CAppearanceInfo expected = Distinct(n + 10);
        for (int i = 0; i <= 18; i++)
            EXPECT_EQ(expected.GetColour(i), profile.GetColour(i)) << n << " " << i;
        EXPECT_STREQ(expected.m_strProfileName, profile.m_strProfileName);
    }
}

TEST_F(ProfilesTest, AppearanceMissingNameKeepsTheDefault)
{
    CAppearanceInfoList list;
    list.AddTail(Distinct(1));
    list.AddTail(Distinct(2));
    list.SaveToRegistry();
    CXTRegistryManager(HKEY_LOCAL_MACHINE).WriteProfileString("AppearanceInfo", "1_ProfileName", NULL);
    CAppearanceInfoList loaded;
    loaded.LoadFromRegistry();
    ASSERT_EQ(2, loaded.GetCount());
    EXPECT_STREQ("SetInCtor", loaded.GetTail().m_strProfileName);
    EXPECT_EQ(RGB(2, 0, 255), loaded.GetTail().m_crBorder);
}

TEST_F(ProfilesTest, BadCountsFallBackToTheBuiltIns)
{
    WriteRegistryDword("AppearanceInfo", "AppearanceInfoCount", 0xFFFFFFFF);
    WriteRegistryString("GradeInfo", "GradeInfoCount", "3");
    CAppearanceInfoList appearance;
    appearance.LoadFromRegistry();
    EXPECT_EQ(2, appearance.GetCount());
    CGradeInfoList grades;
    grades.LoadFromRegistry();
    EXPECT_EQ(4, grades.GetCount()) << "a count of the wrong type reads as missing";
}

TEST_F(ProfilesTest, ADamagedCountAddsNoProfiles)
{
    CAppearanceInfoList appearance;
    appearance.AddTail(Distinct(1));
    appearance.AddTail(Distinct(2));
    appearance.SaveToRegistry();
    CGradeInfoList grades;
    grades.AddTail(CGradeInfo::MakeEasyProfile());
    grades.SaveToRegistry();
    // The counts promise far more than was stored.
    WriteRegistryDword("AppearanceInfo", "AppearanceInfoCount", 1000);
    WriteRegistryDword("GradeInfo", "GradeInfoCount", 1000);

    CAppearanceInfoList loadedAppearance;
    loadedAppearance.LoadFromRegistry();
    ASSERT_EQ(2, loadedAppearance.GetCount());
    EXPECT_EQ(Distinct(2).m_crBorder, loadedAppearance.GetTail().m_crBorder);
    CGradeInfoList loadedGrades;
    loadedGrades.LoadFromRegistry();
    EXPECT_EQ(1, loadedGrades.GetCount());
    EXPECT_FALSE(RegistryValueExists("GradeInfo", "1_Columns")) << "loading writes nothing";
}

// A count of the wrong type or below zero says nothing about how many
// profiles were stored: the player's profiles still load (and so are written
// back at exit) instead of the built-ins taking their place.
TEST_F(ProfilesTest, ADamagedCountKeepsTheStoredProfiles)
{
    CAppearanceInfoList appearance;
    for (int n = 1; n <= 3; n++)
        appearance.AddTail(Distinct(n));
    appearance.SaveToRegistry();
    CGradeInfoList grades;
    grades.LoadFromRegistry();
    CGradeInfo own;
    own.m_strProfileName = "Own";
    own.m_nColumns = 6;
    grades.AddProfile(own);
    grades.SaveToRegistry();

    WriteRegistryString("AppearanceInfo", "AppearanceInfoCount", "five");
    WriteRegistryDword("GradeInfo", "GradeInfoCount", 0xFFFFFFFE);
    CAppearanceInfoList loadedAppearance;
    loadedAppearance.LoadFromRegistry();
    ASSERT_EQ(3, loadedAppearance.GetCount());
    EXPECT_STREQ("Profile 3", loadedAppearance.GetTail().m_strProfileName);
    EXPECT_EQ(Distinct(3).m_crBorder, loadedAppearance.GetTail().m_crBorder);
    CGradeInfoList loadedGrades;
    loadedGrades.LoadFromRegistry();
    ASSERT_EQ(5, loadedGrades.GetCount());
    EXPECT_STREQ("Own", loadedGrades.GetTail().m_strProfileName);
    EXPECT_EQ(6, loadedGrades.GetTail().m_nColumns);

    // Saving writes a sound count again.
    loadedGrades.SaveToRegistry();
    DWORD dwCount = 0;
    ASSERT_TRUE(ReadRegistryDword("GradeInfo", "GradeInfoCount", dwCount));
    EXPECT_EQ(5u, dwCount);
}

TEST_F(ProfilesTest, ADamagedCountInAnIniFileKeepsTheStoredProfiles)
{
    CTempFolder folder;
    const std::string strIni = folder.Path("damaged_count.ini");
    WriteFileBytes(strIni, "[GradeInfo]\r\nGradeInfoCount=many\r\n0_ProfileName=Mine\r\n0_Columns=7\r\n"
                           "1_ProfileName=Also mine\r\n");
    CXTRegistryManager::SetINIFileName(strIni.c_str());
    CGradeInfoList loaded;
    loaded.LoadFromRegistry();
    CXTRegistryManager::SetINIFileName(NULL);
    ASSERT_EQ(2, loaded.GetCount());
    EXPECT_STREQ("Mine", loaded.GetHead().m_strProfileName);
    EXPECT_EQ(7, loaded.GetHead().m_nColumns);
    EXPECT_STREQ("Also mine", loaded.GetTail().m_strProfileName);
}

// Drawing tools refuse a COLORREF with bits above blue, so such a stored
// colour would paint black while the editor shows it as a colour: it reads
// as missing.
TEST_F(ProfilesTest, StoredColoursWithHighBitsReadAsMissing)
{
    CAppearanceInfoList list;
    list.AddTail(Distinct(1));
    list.SaveToRegistry();
    WriteRegistryDword("AppearanceInfo", "0_ShadedFillColour", 0xFF0000FF);
    WriteRegistryDword("AppearanceInfo", "0_MCOn", 0xFFFFFFFF);
    WriteRegistryDword("AppearanceInfo", "0_MCOff", 0x01000005);
    WriteRegistryDword("AppearanceInfo", "0_BorderColour", 0x00FFFFFF);
    CAppearanceInfoList loaded;
    loaded.LoadFromRegistry();
    ASSERT_EQ(1, loaded.GetCount());
    const CAppearanceInfo defaults;
    const CAppearanceInfo& profile = loaded.GetHead();
    EXPECT_EQ(defaults.m_crShadedFill, profile.m_crShadedFill);
    EXPECT_EQ(defaults.m_crMCOn, profile.m_crMCOn);
    EXPECT_EQ(defaults.m_crMCOff, profile.m_crMCOff);
    EXPECT_EQ(RGB(255, 255, 255), profile.m_crBorder) << "white is a colour";
    EXPECT_EQ(Distinct(1).m_crSquareBorder, profile.m_crSquareBorder) << "the other values still load";
}

// A new profile's index is one more than the highest in its list.
TEST(AppearanceListTest, NewIndexesNeverRepeat)
{
    CAppearanceInfoList list;
    list.AddTail(CAppearanceInfo::MakeStandardProfile());
    list.AddTail(CAppearanceInfo::MakePrintingProfile());
    CAppearanceInfo added = Distinct(1);
    EXPECT_EQ(2, list.AddProfile(added));
    EXPECT_EQ(2, added.m_nIndex);
    EXPECT_EQ(2, list.GetTail().m_nIndex);

    CAppearanceInfo another = Distinct(2);
    list.AddProfile(another); // 3
    EXPECT_TRUE(list.RemoveProfile(0));
    CAppearanceInfo third = Distinct(3);
    EXPECT_EQ(4, list.AddProfile(third));
    EXPECT_TRUE(list.RemoveProfile(1));
    CAppearanceInfo fourth = Distinct(4);
    EXPECT_EQ(5, list.AddProfile(fourth)) << "count + 1 would give 4, the index of a listed profile";
    EXPECT_EQ((std::vector<int>{2, 3, 4, 5}), Indexes(list));

    CAppearanceInfo found;
    EXPECT_TRUE(list.FindProfile(4, found));
    EXPECT_STREQ("Profile 3", found.m_strProfileName);
    EXPECT_FALSE(list.FindProfile(0, found));
    EXPECT_FALSE(list.RemoveProfile(0));

    CAppearanceInfoList empty;
    CAppearanceInfo first = Distinct(9);
    EXPECT_EQ(0, empty.AddProfile(first));
}

TEST_F(ProfilesTest, GradeListBuiltInsAndRoundTripOfEveryFlag)
{
    CGradeInfoList list;
    list.LoadFromRegistry();
    EXPECT_EQ((std::vector<int>{0, 1, 2, 3}), Indexes(list));
    EXPECT_EQ(1, list.GetTail().m_bForceComplete);

    // Each flag set alone, so that no two can be mixed up.
    list.RemoveAll();
    for (int nFlag = 0; nFlag < 6; nFlag++)
    {
        CGradeInfo profile;
        profile.m_nColumns = 10 + nFlag;
        profile.m_nRows = 20 + nFlag;
        profile.m_nMinutesToComplete = 30 + nFlag;
        BYTE* flags[] = {&profile.m_bShowIslandSquares, &profile.m_bShowUnshadedDups, &profile.m_bShowAdjacentShaded,
                         &profile.m_bEnableUnshadedUpdate, &profile.m_bEnableAutoMark, &profile.m_bForceComplete};
        *flags[nFlag] = 1;
        profile.m_strProfileName.Format("Flag %d", nFlag);
        list.AddTail(profile);
    }
    list.SaveToRegistry();
    EXPECT_TRUE(RegistryValueExists("GradeInfo", "2_Columns"));
    EXPECT_TRUE(RegistryValueExists("GradeInfo", "5_ProfileName"));

    CGradeInfoList loaded;
    loaded.LoadFromRegistry();
    ASSERT_EQ(6, loaded.GetCount());
    int nFlag = 0;
    for (POSITION pos = loaded.GetHeadPosition(); pos != NULL; nFlag++)
    {
        const CGradeInfo& profile = loaded.GetNext(pos);
        EXPECT_EQ(nFlag, profile.m_nIndex);
        EXPECT_EQ(10 + nFlag, profile.m_nColumns);
        EXPECT_EQ(20 + nFlag, profile.m_nRows);
        EXPECT_EQ(30 + nFlag, profile.m_nMinutesToComplete);
        const BYTE flags[] = {profile.m_bShowIslandSquares, profile.m_bShowUnshadedDups,
                              profile.m_bShowAdjacentShaded, profile.m_bEnableUnshadedUpdate,
                              profile.m_bEnableAutoMark, profile.m_bForceComplete};
        for (int k = 0; k < 6; k++)
            EXPECT_EQ(k == nFlag ? 1 : 0, flags[k]) << "profile " << nFlag << " flag " << k;
    }
}

TEST_F(ProfilesTest, GradeFlagsReadAsZeroOrOneAndBadSizesAsMissing)
{
    CGradeInfoList list;
    list.AddTail(CGradeInfo());
    list.SaveToRegistry();
    WriteRegistryDword("GradeInfo", "0_EnableAutoMark", 7);
    WriteRegistryDword("GradeInfo", "0_Columns", 100000);
    WriteRegistryDword("GradeInfo", "0_Rows", 0);
    CGradeInfoList loaded;
    loaded.LoadFromRegistry();
    EXPECT_EQ(1, loaded.GetHead().m_bEnableAutoMark);
    EXPECT_EQ(9, loaded.GetHead().m_nColumns) << "a size no puzzle can have reads as missing";
    EXPECT_EQ(9, loaded.GetHead().m_nRows);
}

TEST_F(ProfilesTest, TimesBeyondTheClockReadAsMissing)
{
    CGradeInfoList list;
    CGradeInfo profile;
    profile.m_nMinutesToComplete = 25;
    list.AddTail(profile);
    list.AddTail(profile);
    list.AddTail(profile);
    list.SaveToRegistry();
    WriteRegistryDword("GradeInfo", "0_MinutesToComplete", 2147483647);
    WriteRegistryDword("GradeInfo", "1_MinutesToComplete", 0x80000000);
    WriteRegistryDword("GradeInfo", "2_MinutesToComplete", HT_MAX_STORED_MINUTES);
    CGradeInfoList loaded;
    loaded.LoadFromRegistry();
    ASSERT_EQ(3, loaded.GetCount());
    EXPECT_EQ(0, loaded.GetHead().m_nMinutesToComplete) << "the constructor's value stays";
    EXPECT_EQ(0, loaded.GetAt(loaded.FindIndex(1)).m_nMinutesToComplete);
    EXPECT_EQ(HT_MAX_STORED_MINUTES, loaded.GetTail().m_nMinutesToComplete);
}

TEST_F(ProfilesTest, NoStoredProfileIsDropped)
{
    // Four difficulty profiles; profile 1 loses one value, profile 2 loses
    // all of them. Profile 1 loads with that value from the constructor,
    // profile 2 is skipped, profile 3 (the player's own) still loads, and
    // the list written back keeps it.
    CGradeInfoList list;
    list.LoadFromRegistry();
    list.RemoveAll();
    for (int n = 0; n < 4; n++)
    {
        CGradeInfo profile;
        profile.m_nColumns = 10 + n;
        profile.m_nMinutesToComplete = 5 + n;
        profile.m_strProfileName.Format("Grade %d", n);
        list.AddTail(profile);
    }
    list.SaveToRegistry();
    CXTRegistryManager regManager(HKEY_LOCAL_MACHINE);
    regManager.WriteProfileString("GradeInfo", "1_Columns", NULL);
    for (const char* pszKey : {"ProfileName", "Columns", "Rows", "ShowIslandSquares", "ShowUnshadedDups",
                               "ShowAdjacentShaded", "EnableUnshadedUpdate", "EnableAutoMark", "MinutesToComplete",
                               "ForceComplete"})
        regManager.WriteProfileString("GradeInfo", CString("2_") + pszKey, NULL);

    CGradeInfoList loaded;
    loaded.LoadFromRegistry();
    ASSERT_EQ(3, loaded.GetCount());
    EXPECT_EQ((std::vector<int>{0, 1, 3}), Indexes(loaded));
    const CGradeInfo& damaged = loaded.GetAt(loaded.FindIndex(1));
    EXPECT_EQ(9, damaged.m_nColumns) << "the missing value is the constructor's";
    EXPECT_EQ(6, damaged.m_nMinutesToComplete);
    EXPECT_STREQ("Grade 1", damaged.m_strProfileName);
    EXPECT_STREQ("Grade 3", loaded.GetTail().m_strProfileName);
    EXPECT_EQ(13, loaded.GetTail().m_nColumns);

    loaded.SaveToRegistry();
    CGradeInfoList again;
    again.LoadFromRegistry();
    ASSERT_EQ(3, again.GetCount());
    EXPECT_STREQ("Grade 3", again.GetTail().m_strProfileName);

    // The same for appearance profiles, whose first value is a colour.
    CAppearanceInfoList appearance;
    for (int n = 1; n <= 3; n++)
        appearance.AddTail(Distinct(n));
    appearance.SaveToRegistry();
    regManager.WriteProfileString("AppearanceInfo", "0_BorderColour", NULL);
    CAppearanceInfoList loadedAppearance;
    loadedAppearance.LoadFromRegistry();
    ASSERT_EQ(3, loadedAppearance.GetCount());
    EXPECT_STREQ("Profile 1", loadedAppearance.GetHead().m_strProfileName);
    EXPECT_EQ(Distinct(3).m_crBorder, loadedAppearance.GetTail().m_crBorder);
}

TEST_F(ProfilesTest, AThousandProfilesAllLoadFromTheRegistryAndAnIniFile)
{
    // 1,000 stored difficulty profiles, written straight into the section
    // (the registry key, then an INI file) as the game writes them.
    std::string strIniText = "[GradeInfo]\r\n";
    {
        HKEY hKey = CXTRegistryManager(HKEY_LOCAL_MACHINE).GetSectionKey("GradeInfo");
        ASSERT_TRUE(hKey != NULL);
        for (int n = 0; n < HT_MAX_STORED_PROFILES; n++)
        {
            CString strName;
            strName.Format("P%d", n);
            DWORD dwColumns = 1 + n % HT_MAX_GRID_SIDE;
            ::RegSetValueExA(hKey, HTProfileEntryName(n, "ProfileName"), 0, REG_SZ, (const BYTE*)(LPCTSTR)strName,
                             strName.GetLength() + 1);
            ::RegSetValueExA(hKey, HTProfileEntryName(n, "Columns"), 0, REG_DWORD, (const BYTE*)&dwColumns,
                             sizeof(dwColumns));
            CString strLines;
            strLines.Format("%d_ProfileName=P%d\r\n", n, n);
            strIniText += (LPCTSTR)strLines;
            if (n != 500)
            {
                strLines.Format("%d_Columns=%lu\r\n", n, dwColumns);
                strIniText += (LPCTSTR)strLines;
            }
        }
        // A count beyond the bound reads the first 1,000 numbers only.
        DWORD dwCount = 0x7FFFFFFF;
        ::RegSetValueExA(hKey, "GradeInfoCount", 0, REG_DWORD, (const BYTE*)&dwCount, sizeof(dwCount));
        ::RegCloseKey(hKey);
        strIniText += "GradeInfoCount=1000\r\n";
    }
    CGradeInfoList loaded;
    loaded.LoadFromRegistry();
    ASSERT_EQ(HT_MAX_STORED_PROFILES, loaded.GetCount());
    EXPECT_STREQ("P999", loaded.GetTail().m_strProfileName);
    EXPECT_EQ(1 + 999 % HT_MAX_GRID_SIDE, loaded.GetTail().m_nColumns);
    EXPECT_EQ(1 + 500 % HT_MAX_GRID_SIDE, loaded.GetAt(loaded.FindIndex(500)).m_nColumns);

    CTempFolder folder;
    const std::string strIni = folder.Path("profiles.ini");
    WriteFileBytes(strIni, strIniText);
    CXTRegistryManager::SetINIFileName(strIni.c_str());
    CGradeInfoList fromIni;
    fromIni.LoadFromRegistry();
    CXTRegistryManager::SetINIFileName(NULL);
    ASSERT_EQ(HT_MAX_STORED_PROFILES, fromIni.GetCount());
    EXPECT_EQ(9, fromIni.GetAt(fromIni.FindIndex(500)).m_nColumns) << "its missing value is the constructor's";
    EXPECT_STREQ("P500", fromIni.GetAt(fromIni.FindIndex(500)).m_strProfileName);
    EXPECT_EQ(1 + 999 % HT_MAX_GRID_SIDE, fromIni.GetTail().m_nColumns);
}

TEST(GradeListTest, RemoveAndAdd)
{
    CGradeInfoList list;
    list.AddTail(CGradeInfo::MakeEasyProfile());
    list.AddTail(CGradeInfo::MakeMildProfile());
    list.AddTail(CGradeInfo::MakeDifficultProfile());
    list.AddTail(CGradeInfo::MakeFiendishProfile());

    EXPECT_FALSE(list.RemoveProfile(9));
    EXPECT_EQ(4, list.GetCount());

    CGradeInfo added;
    EXPECT_EQ(4, list.AddProfile(added)) << "one more than the highest index";
    EXPECT_TRUE(list.RemoveProfile(0));
    CGradeInfo again;
    EXPECT_EQ(5, list.AddProfile(again));
    EXPECT_TRUE(list.RemoveProfile(1));
    CGradeInfo third;
    EXPECT_EQ(6, list.AddProfile(third)) << "count + 1 would give 5, already listed";
    EXPECT_EQ((std::vector<int>{2, 3, 4, 5, 6}), Indexes(list));

    CGradeInfo found;
    EXPECT_TRUE(list.FindProfile(3, found));
    EXPECT_STREQ("Fiendish", found.m_strProfileName);
}

TEST_F(ProfilesTest, ApplicationSettingsOnAnEmptyRegistry)
{
    CApplicationInfo settings;
    EXPECT_EQ(0, settings.m_AppearanceInfoList.GetCount()) << "empty until loaded";
    EXPECT_TRUE(settings.LoadFromRegistry());
    EXPECT_EQ(1, settings.m_bFirstRunOfVersion);
    EXPECT_EQ(0, settings.m_bDisplayDebugInfo);
    EXPECT_EQ(1, settings.m_bTextBelowIcons);
    EXPECT_EQ(2, settings.m_AppearanceInfoList.GetCount());
    EXPECT_EQ(4, settings.m_GradeInfoList.GetCount());
}

TEST_F(ProfilesTest, ApplicationSettingsWrittenAtDestruction)
{
    {
        CApplicationInfo settings;
        settings.LoadFromRegistry();
        settings.m_bDisplayDebugInfo = 1;
        settings.m_bTextBelowIcons = 0;
        CGradeInfo extra;
        settings.m_GradeInfoList.AddProfile(extra);
    }
    DWORD dwValue = 99;
    ASSERT_TRUE(ReadRegistryDword("ApplicationInfo", "FirstRunOfVersion_v2.11.0000", dwValue));
    EXPECT_EQ(0u, dwValue);
    ASSERT_TRUE(ReadRegistryDword("AppearanceInfo", "AppearanceInfoCount", dwValue));
    EXPECT_EQ(2u, dwValue);
    ASSERT_TRUE(ReadRegistryDword("GradeInfo", "GradeInfoCount", dwValue));
    EXPECT_EQ(5u, dwValue);

    CApplicationInfo next;
    next.LoadFromRegistry();
    EXPECT_EQ(0, next.m_bFirstRunOfVersion);
    EXPECT_EQ(1, next.m_bDisplayDebugInfo);
    EXPECT_EQ(0, next.m_bTextBelowIcons);
    EXPECT_EQ(5, next.m_GradeInfoList.GetCount());
}

// Settings that were never loaded are never written back.
TEST_F(ProfilesTest, UnloadedSettingsWriteNothing)
{
    CGradeInfoList saved;
    saved.AddTail(CGradeInfo::MakeMildProfile());
    saved.SaveToRegistry();
    {
        CApplicationInfo settings; // a run that stopped before loading
    }
    EXPECT_FALSE(RegistryValueExists("ApplicationInfo", "FirstRunOfVersion_v2.11.0000"));
    EXPECT_FALSE(RegistryValueExists("AppearanceInfo", "AppearanceInfoCount"));
    CGradeInfoList loaded;
    loaded.LoadFromRegistry();
    ASSERT_EQ(1, loaded.GetCount()) << "the player's profiles are not overwritten by empty lists";
    EXPECT_STREQ("Mild", loaded.GetHead().m_strProfileName);
}

TEST_F(ProfilesTest, FlagsOtherThanZeroReadAsOne)
{
    WriteRegistryDword("ApplicationInfo", "FirstRunOfVersion_v2.11.0000", 5);
    WriteRegistryDword("ApplicationInfo", "DisplayDebugInfo", 3);
    WriteRegistryDword("ApplicationInfo", "TextBelowIcons", 0);
    CApplicationInfo settings;
    settings.LoadFromRegistry();
    EXPECT_EQ(1, settings.m_bFirstRunOfVersion);
    EXPECT_EQ(1, settings.m_bDisplayDebugInfo);
    EXPECT_EQ(0, settings.m_bTextBelowIcons);
}

TEST_F(ProfilesTest, SettingsThroughAnIniFile)
{
    CTempFolder folder;
    const std::string strIni = folder.Path("settings.ini");
    CXTRegistryManager::SetINIFileName(strIni.c_str());
    {
        CApplicationInfo settings;
        settings.LoadFromRegistry();
        settings.m_bDisplayDebugInfo = 1;
        CAppearanceInfo extra = Distinct(5);
        settings.m_AppearanceInfoList.AddProfile(extra);
    }
    {
        CApplicationInfo loaded;
        loaded.LoadFromRegistry();
        EXPECT_EQ(0, loaded.m_bFirstRunOfVersion);
        EXPECT_EQ(1, loaded.m_bDisplayDebugInfo);
        ASSERT_EQ(3, loaded.m_AppearanceInfoList.GetCount());
        EXPECT_STREQ("Profile 5", loaded.m_AppearanceInfoList.GetTail().m_strProfileName);
        EXPECT_EQ(RGB(5, 18, 237), loaded.m_AppearanceInfoList.GetTail().m_crMCBack);
        EXPECT_EQ(4, loaded.m_GradeInfoList.GetCount());
    }
    CXTRegistryManager::SetINIFileName(NULL);
    EXPECT_FALSE(RegistryValueExists("ApplicationInfo", "DisplayDebugInfo")) << "the registry is not touched";

    char szText[64];
    GetPrivateProfileStringA("AppearanceInfo", "2_ProfileName", "", szText, sizeof(szText), strIni.c_str());
    EXPECT_STREQ("Profile 5", szText);
}

// Settings that cannot be written (a profile file in a folder that is not
// there) make the save say so; once the store can be written it succeeds.
TEST_F(ProfilesTest, ASaveThatCannotBeWrittenSaysSo)
{
    CApplicationInfo settings;
    settings.LoadFromRegistry();
    CXTRegistryManager::SetINIFileName("C:\\no-such-folder-of-brindlemark\\settings.ini");
    EXPECT_FALSE(settings.m_GradeInfoList.SaveToRegistry());
    EXPECT_FALSE(settings.m_AppearanceInfoList.SaveToRegistry());
    EXPECT_FALSE(settings.SaveToRegistry());
    CXTRegistryManager::SetINIFileName(NULL);
    EXPECT_TRUE(settings.m_GradeInfoList.SaveToRegistry());
    EXPECT_TRUE(settings.SaveToRegistry());
}
