// ctest: lock registry (HKLM\Software\Orrisfield\Brindlemark)
// The registry manager: values below HKLM\Software\<company>\<program>, or
// in an INI file when one is set.
#include <gtest/gtest.h>

#include "XTRegistryManager.h"
#include "support/registry.h"
#include "support/tempfolder.h"

#include <afxwin.h>

#include <string>

using namespace testsupport;

namespace
{
class RegistryManagerTest : public ::testing::Test
{
protected:
    void SetUp() override { ClearGameRegistry(); }
    void TearDown() override { ClearGameRegistry(); }
};

// An application object with the game's registry key.
class CNamedApp : public CWinApp
{
public:
    CNamedApp() : CWinApp("Brindlemark") { SetRegistryKey("Orrisfield"); }
};
} // namespace

// The names are taken from the live application object and kept,
// so settings written back at exit never read a destroyed application.
TEST_F(RegistryManagerTest, NamesComeFromTheApplicationAndOutliveIt)
{
    CXTRegistryManager::SetProfileNames(NULL, NULL);
    {
        CNamedApp app;
        CXTRegistryManager manager(HKEY_LOCAL_MACHINE);
        EXPECT_TRUE(manager.WriteProfileInt("Section", "Value", 12));
    }
    ASSERT_EQ(NULL, AfxGetApp());
    CXTRegistryManager later(HKEY_LOCAL_MACHINE);
    EXPECT_TRUE(later.GetProfileNames());
    EXPECT_EQ(12u, later.GetProfileInt("Section", "Value", 0));
    DWORD dwValue = 0;
    EXPECT_TRUE(ReadRegistryDword("Section", "Value", dwValue)) << "below Software\\Orrisfield\\Brindlemark";
}

TEST_F(RegistryManagerTest, WithoutNamesEverythingFailsAtOnce)
{
    CXTRegistryManager::SetProfileNames(NULL, NULL); // no application object in this program
    CXTRegistryManager manager(HKEY_LOCAL_MACHINE);
    EXPECT_FALSE(manager.GetProfileNames());
    EXPECT_EQ(NULL, manager.GetAppRegistryKey());
    EXPECT_FALSE(manager.WriteProfileInt("Section", "Value", 5));
    EXPECT_FALSE(manager.WriteProfileString("Section", "Text", "x"));
    EXPECT_EQ(17u, manager.GetProfileInt("Section", "Value", 17));
    EXPECT_STREQ("fallback", manager.GetProfileString("Section", "Text", "fallback"));
    CXTRegistryManager::SetProfileNames("Orrisfield", "Brindlemark");
    EXPECT_FALSE(RegistryValueExists("Section", "Value"));
}

TEST_F(RegistryManagerTest, IntegersAndStringsRoundTrip)
{
    CXTRegistryManager manager(HKEY_LOCAL_MACHINE);
    EXPECT_TRUE(manager.WriteProfileInt("Section", "Count", 42));
    EXPECT_TRUE(manager.WriteProfileInt("Section", "Negative", -5));
    EXPECT_TRUE(manager.WriteProfileString("Section", "Name", "Orchid"));
    EXPECT_TRUE(manager.WriteProfileString("Other", "Empty", ""));

    CXTRegistryManager reader(HKEY_LOCAL_MACHINE);
    EXPECT_EQ(42u, reader.GetProfileInt("Section", "Count", 0));
    EXPECT_EQ(-5, (int)reader.GetProfileInt("Section", "Negative", 0));
    EXPECT_STREQ("Orchid", reader.GetProfileString("Section", "Name"));
    EXPECT_STREQ("", reader.GetProfileString("Other", "Empty", "default"));
    EXPECT_EQ(ERROR_SUCCESS, reader.GetLastResult());
    DWORD dwValue = 0;
    EXPECT_TRUE(ReadRegistryDword("Section", "Count", dwValue));
    EXPECT_EQ(42u, dwValue);
}

TEST_F(RegistryManagerTest, MissingValuesAndSectionsGiveTheDefault)
{
    CXTRegistryManager manager(HKEY_LOCAL_MACHINE);
    manager.WriteProfileInt("Section", "Present", 1);
    EXPECT_EQ(9u, manager.GetProfileInt("Section", "Absent", 9));
    EXPECT_EQ(9u, manager.GetProfileInt("NoSuchSection", "Absent", 9));
    EXPECT_STREQ("d", manager.GetProfileString("NoSuchSection", "Absent", "d"));
    EXPECT_STREQ("", manager.GetProfileString("NoSuchSection", "Absent"));
}

TEST_F(RegistryManagerTest, NullValueDeletesTheEntryNullEntryTheSection)
{
    CXTRegistryManager manager(HKEY_LOCAL_MACHINE);
    manager.WriteProfileInt("Section", "A", 1);
    manager.WriteProfileInt("Section", "B", 2);
    EXPECT_TRUE(manager.WriteProfileString("Section", "A", NULL));
    EXPECT_EQ(77u, manager.GetProfileInt("Section", "A", 77));
    EXPECT_EQ(2u, manager.GetProfileInt("Section", "B", 77));

    EXPECT_TRUE(manager.WriteProfileString("Section", NULL, NULL));
    EXPECT_FALSE(RegistryValueExists("Section", "B"));
    EXPECT_EQ(77u, manager.GetProfileInt("Section", "B", 77));
}

TEST_F(RegistryManagerTest, AManagerKeepsWorkingWhenAnotherDeletesItsSection)
{
    CNamedApp app;
    // One manager reads and writes many values of two sections in turn (it
    // keeps the section it works in open between them).
    CXTRegistryManager manager(HKEY_LOCAL_MACHINE);
    for (int i = 0; i < 20; i++)
    {
        CString strEntry;
        strEntry.Format("V%d", i);
        ASSERT_TRUE(manager.WriteProfileInt("First", strEntry, i));
        ASSERT_TRUE(manager.WriteProfileString("Second", strEntry, strEntry));
    }
    EXPECT_EQ(19u, manager.GetProfileInt("First", "V19", -1));
    EXPECT_STREQ("V7", manager.GetProfileString("Second", "V7", ""));
    EXPECT_EQ(7u, manager.GetProfileInt("First", "V7", -1));

    // Another manager deletes the section the first one has open.
    CXTRegistryManager other(HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(other.WriteProfileString("First", NULL, NULL));
    EXPECT_EQ(55u, manager.GetProfileInt("First", "V7", 55)) << "gone means missing";
    EXPECT_TRUE(manager.WriteProfileInt("First", "Again", 3)) << "the section is made again";
    EXPECT_EQ(3u, other.GetProfileInt("First", "Again", -1));
    EXPECT_FALSE(RegistryValueExists("First", "V7"));

    ASSERT_TRUE(other.WriteProfileString("Second", NULL, NULL));
    EXPECT_STREQ("none", manager.GetProfileString("Second", "V7", "none"));
    EXPECT_TRUE(manager.WriteProfileString("Second", "W", "x"));
    EXPECT_STREQ("x", other.GetProfileString("Second", "W", ""));
}

TEST_F(RegistryManagerTest, ValuesOfTheWrongTypeReadAsMissing)
{
    WriteRegistryString("Section", "Text", "12");
    const BYTE shortBinary[2] = {0x34, 0x12};
    WriteRegistryBinary("Section", "Short", shortBinary, sizeof(shortBinary));
    const BYTE longBinary[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    WriteRegistryBinary("Section", "Long", longBinary, sizeof(longBinary));
    WriteRegistryDword("Section", "Number", 3);

    CXTRegistryManager manager(HKEY_LOCAL_MACHINE);
    EXPECT_EQ(11u, manager.GetProfileInt("Section", "Text", 11));
    EXPECT_EQ(11u, manager.GetProfileInt("Section", "Short", 11));
    EXPECT_EQ(11u, manager.GetProfileInt("Section", "Long", 11));
    EXPECT_STREQ("none", manager.GetProfileString("Section", "Number", "none"));
    EXPECT_STREQ("none", manager.GetProfileString("Section", "Long", "none"));
}

TEST_F(RegistryManagerTest, StringStoredWithoutTerminatorReadsWhole)
{
    HKEY hKey = NULL;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\Orrisfield\\Brindlemark\\Section", 0, NULL,
                                             0, KEY_WRITE, NULL, &hKey, NULL));
    RegSetValueExA(hKey, "Bare", 0, REG_SZ, (const BYTE*)"abcdef", 6);
    RegSetValueExA(hKey, "Inner", 0, REG_SZ, (const BYTE*)"ab\0cd", 6);
    RegCloseKey(hKey);
    CXTRegistryManager manager(HKEY_LOCAL_MACHINE);
    EXPECT_STREQ("abcdef", manager.GetProfileString("Section", "Bare"));
    EXPECT_STREQ("ab", manager.GetProfileString("Section", "Inner")) << "the text ends at its first zero";
}

TEST_F(RegistryManagerTest, IniFileModeStoresTextForms)
{
    CTempFolder folder;
    const std::string strIni = folder.Path("profile.ini");
    CXTRegistryManager::SetINIFileName(strIni.c_str());
    EXPECT_STREQ(strIni.c_str(), CXTRegistryManager::GetINIFileName());
    EXPECT_EQ(CXTRegistryManager::GetINIFileNamePtr(), CXTRegistryManager::GetINIFileNamePtr());

    CXTRegistryManager manager(HKEY_LOCAL_MACHINE);
    EXPECT_TRUE(manager.WriteProfileInt("Section", "Entry", -5));
    char szText[32];
    GetPrivateProfileStringA("Section", "Entry", "", szText, sizeof(szText), strIni.c_str());
    EXPECT_STREQ("-5", szText);
    EXPECT_EQ(-5, (int)manager.GetProfileInt("Section", "Entry", 0));
    EXPECT_EQ(4u, manager.GetProfileInt("Section", "Missing", 4));

    EXPECT_TRUE(manager.WriteProfileString("Section", "Name", "Tulip"));
    EXPECT_STREQ("Tulip", manager.GetProfileString("Section", "Name"));
    EXPECT_STREQ("", manager.GetProfileString("Section", "Missing", NULL));
    EXPECT_STREQ("dflt", manager.GetProfileString("Section", "Missing", "dflt"));

    std::string strLong(5000, 'x');
    manager.WriteProfileString("Section", "Long", strLong.c_str());
    EXPECT_EQ(4095, manager.GetProfileString("Section", "Long").GetLength());

    EXPECT_TRUE(manager.WriteProfileString("Section", "Name", NULL));
    EXPECT_STREQ("gone", manager.GetProfileString("Section", "Name", "gone"));
    EXPECT_TRUE(manager.WriteProfileString("Section", NULL, NULL));
    EXPECT_EQ(8u, manager.GetProfileInt("Section", "Entry", 8));

    CXTRegistryManager::SetINIFileName(NULL);
    EXPECT_FALSE(RegistryValueExists("Section", "Entry")) << "nothing went to the registry";
    EXPECT_TRUE(CXTRegistryManager::GetINIFileName().IsEmpty());
}
