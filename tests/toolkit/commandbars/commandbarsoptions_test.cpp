// The user's command-bar options: the short form saved under
// "<key>-Options", what it leaves alone, reading older stores, the archive
// form and the INI file used when the program has no registry key.
// ctest: lock testkey (HKCU\Software\BrindlemarkTests)
#include "support/commandbars_testframe.h"
#include "XTPPropExchange.h"
#include "support/tempfolder.h"

#include <afxarch.h>
#include <shlwapi.h>

#include <map>
#include <set>
#include <string>

using namespace cbtest;

namespace
{
const char* const kTestRoot = "Software\\BrindlemarkTests";

std::set<UINT> Members(const CXTPCommandIdSet& ids)
{
    std::set<UINT> result;
    POSITION pos = ids.GetStartPosition();
    while (pos != NULL)
    {
        UINT nId;
        BOOL bValue;
        ids.GetNextAssoc(pos, nId, bValue);
        result.insert(nId);
    }
    return result;
}

// The registry key of the program's section, below the test root.
std::string SectionKey(const char* pszSection)
{
    return std::string(kTestRoot) + "\\" + AfxGetApp()->m_pszProfileName + "\\" + pszSection;
}

bool ValueExists(const char* pszSection, const char* pszValue)
{
    return ::SHGetValueA(HKEY_CURRENT_USER, SectionKey(pszSection).c_str(), pszValue, NULL, NULL, NULL) ==
           ERROR_SUCCESS;
}

void WriteDword(const char* pszSection, const char* pszValue, DWORD dwValue)
{
    ASSERT_EQ(static_cast<DWORD>(ERROR_SUCCESS),
              ::SHSetValueA(HKEY_CURRENT_USER, SectionKey(pszSection).c_str(), pszValue, REG_DWORD, &dwValue,
                            sizeof(dwValue)));
}

// A loading exchange over a map of "section\\name" to long values that
// counts every value asked for, so a test can bound the reads a load makes.
class CCountingExchange : public CXTPPropExchange
{
public:
    CCountingExchange(std::map<std::string, long>* pValues, int* pReads, const std::string& strPath)
        : m_pValues(pValues), m_pReads(pReads), m_strPath(strPath)
    {
        m_bLoading = TRUE;
    }
    BOOL ExchangeValue(LPCTSTR pszPropName, VARTYPE vtProp, void* pvProp, const void* pvDefault) override
    {
        ++*m_pReads;
        std::map<std::string, long>::const_iterator it = m_pValues->find(m_strPath + pszPropName);
        if (it == m_pValues->end())
            return CopyPropValue(vtProp, pvProp, m_bUseDefaultOnLoad ? pvDefault : NULL);
        if (vtProp != VT_I4 && vtProp != VT_BOOL)
            return FALSE;
        *(long*)pvProp = it->second;
        return TRUE;
    }
    CXTPPropExchange* OpenSection(LPCTSTR lpszSection) override
    {
        CCountingExchange* pSection = new CCountingExchange(m_pValues, m_pReads, m_strPath + lpszSection + "\\");
        pSection->InitSection(this);
        return pSection;
    }

private:
    std::map<std::string, long>* m_pValues;
    int* m_pReads;
    std::string m_strPath;
};
} // namespace

class CommandBarsOptionsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        PrepareTheme();
        ::SHDeleteKeyA(HKEY_CURRENT_USER, kTestRoot);
        AfxGetApp()->SetRegistryKey(_T("BrindlemarkTests"));
        m_pFrame = new CTestFrame();
        ASSERT_TRUE(m_pFrame->CreateTestFrame(CRect(40, 40, 700, 500), FALSE));
        m_pCommandBars = m_pFrame->GetCommandBars();
        m_pOptions = m_pCommandBars->GetCommandBarsOptions();
    }
    void TearDown() override
    {
        if (m_pFrame != NULL)
            m_pFrame->DestroyTestFrame();
        PumpAndIdle();
        CWinApp* pApp = AfxGetApp();
        free((void*)pApp->m_pszRegistryKey);
        pApp->m_pszRegistryKey = NULL;
        ::SHDeleteKeyA(HKEY_CURRENT_USER, kTestRoot);
        EXPECT_EQ(0, LiveObjects());
    }

    CTestFrame* m_pFrame = NULL;
    CXTPCommandBars* m_pCommandBars = NULL;
    CXTPCommandBarsOptions* m_pOptions = NULL;
};

TEST_F(CommandBarsOptionsTest, ShortFormCarriesTheMenuChoicesAndNothingElse)
{
    m_pOptions->bAlwaysShowFullMenus = FALSE;
    m_pOptions->bToolBarAccelTips = TRUE;
    m_pOptions->bLargeIcons = TRUE;
    m_pOptions->animationType = 3;
    m_pOptions->m_mapUsedCommands.Add(2001);
    m_pOptions->m_mapUsedCommands.Add(2028);
    m_pOptions->m_mapHiddenCommands.Add(2010);
    m_pOptions->szIcons = CSize(24, 24);
    m_pOptions->bDblClickFloat = TRUE;
    m_pCommandBars->SaveOptions(_T("CommandBars"));

    EXPECT_TRUE(ValueExists("CommandBars-Options", "Schema"));
    EXPECT_TRUE(ValueExists("CommandBars-Options", "Animation"));
    EXPECT_TRUE(ValueExists("CommandBars-Options\\UsedCommands", "Count"));
    EXPECT_FALSE(ValueExists("CommandBars-Options", "IconsSize"));
    EXPECT_FALSE(ValueExists("CommandBars-Options", "DblClickFloat"));
    EXPECT_FALSE(ValueExists("CommandBars-Options", "KeyboardCuesShow"));
    EXPECT_FALSE(ValueExists("CommandBars-Options\\HiddenCommands", "Count"));

    // Memory moves on; loading brings back only what the short form holds.
    m_pOptions->bAlwaysShowFullMenus = TRUE;
    m_pOptions->bToolBarAccelTips = FALSE;
    m_pOptions->bLargeIcons = FALSE;
    m_pOptions->animationType = 0;
    m_pOptions->m_mapUsedCommands.RemoveAll();
    m_pOptions->m_mapUsedCommands.Add(57601);
    m_pOptions->m_mapHiddenCommands.RemoveAll();
    m_pOptions->m_mapHiddenCommands.Add(2011);
    m_pOptions->szIcons = CSize(32, 32);
    m_pOptions->bDblClickFloat = FALSE;
    m_pOptions->SetKeyboardCuesShow(1);
    m_pCommandBars->LoadOptions(_T("CommandBars"));

    EXPECT_FALSE(m_pOptions->bAlwaysShowFullMenus);
    EXPECT_TRUE(m_pOptions->bToolBarAccelTips);
    EXPECT_TRUE(m_pOptions->bLargeIcons);
    EXPECT_EQ(3, m_pOptions->animationType);
    EXPECT_EQ((std::set<UINT>{ 2001, 2028 }), Members(m_pOptions->m_mapUsedCommands));
    EXPECT_EQ(std::set<UINT>{ 2011 }, Members(m_pOptions->m_mapHiddenCommands));
    EXPECT_EQ(CSize(32, 32), m_pOptions->szIcons);
    EXPECT_FALSE(m_pOptions->bDblClickFloat);
    EXPECT_EQ(1, m_pOptions->GetKeyboardCuesShow());
    EXPECT_FALSE(m_pCommandBars->IsKeyboardCuesVisible());

    // Saving again replaces the section: an emptied set leaves no items.
    m_pOptions->m_mapUsedCommands.RemoveAll();
    m_pCommandBars->SaveOptions(_T("CommandBars"));
    m_pOptions->m_mapUsedCommands.Add(5);
    m_pCommandBars->LoadOptions(_T("CommandBars"));
    EXPECT_TRUE(m_pOptions->m_mapUsedCommands.IsEmpty());
    EXPECT_FALSE(ValueExists("CommandBars-Options\\UsedCommands", "Item1"));
}

TEST_F(CommandBarsOptionsTest, MissingValuesKeepWhatIsInMemory)
{
    // A store with only some of the values (a user's hand edit, an older
    // program): what is missing stays as it is, it is not reset. A list is
    // read as a whole, so a missing list reads as an empty one.
    WriteDword("CommandBars-Options", "LargeIcons", 1);
    m_pOptions->bAlwaysShowFullMenus = FALSE;
    m_pOptions->animationType = 2;
    m_pOptions->m_mapUsedCommands.Add(2001);
    m_pCommandBars->LoadOptions(_T("CommandBars"));
    EXPECT_TRUE(m_pOptions->bLargeIcons);
    EXPECT_FALSE(m_pOptions->bAlwaysShowFullMenus);
    EXPECT_EQ(2, m_pOptions->animationType);
    EXPECT_TRUE(m_pOptions->m_mapUsedCommands.IsEmpty());

    // No section at all changes nothing either.
    m_pCommandBars->LoadOptions(_T("NeverSaved"));
    EXPECT_TRUE(m_pOptions->bLargeIcons);
    EXPECT_EQ(2, m_pOptions->animationType);
}

TEST_F(CommandBarsOptionsTest, OlderStoresSkipTheGroupsTheyDidNotHave)
{
    // A full-form store of schema 7: used commands, the second group, the
    // cue settings and (in full form) the animation are not read from it.
    WriteDword("Old", "Schema", 7);
    WriteDword("Old", "LargeIcons", 1);
    WriteDword("Old", "Animation", 2);
    WriteDword("Old", "DblClickFloat", 1);
    WriteDword("Old", "KeyboardCuesShow", 1);
    WriteDword("Old\\UsedCommands", "Count", 1);
    WriteDword("Old\\UsedCommands", "Item0", 2001);
    WriteDword("Old\\HiddenCommands", "Count", 1);
    WriteDword("Old\\HiddenCommands", "Item0", 2010);
    m_pOptions->animationType = 0;
    {
        CXTPPropExchangeRegistry px(TRUE, NULL, _T("Old"));
        m_pOptions->DoPropExchange(&px, FALSE);
    }
    EXPECT_TRUE(m_pOptions->bLargeIcons);
    EXPECT_EQ(0, m_pOptions->animationType);
    EXPECT_FALSE(m_pOptions->bDblClickFloat);
    EXPECT_EQ(0, m_pOptions->GetKeyboardCuesShow());
    EXPECT_TRUE(m_pOptions->m_mapUsedCommands.IsEmpty());
    EXPECT_EQ(std::set<UINT>{ 2010 }, Members(m_pOptions->m_mapHiddenCommands));

    // The short form reads the animation whatever the schema.
    {
        CXTPPropExchangeRegistry px(TRUE, NULL, _T("Old"));
        m_pOptions->DoPropExchange(&px, TRUE);
    }
    EXPECT_EQ(2, m_pOptions->animationType);
    EXPECT_TRUE(m_pOptions->m_mapUsedCommands.IsEmpty());
}

TEST_F(CommandBarsOptionsTest, AnAbsurdStoredCountIsIgnored)
{
    WriteDword("CommandBars-Options\\UsedCommands", "Count", 0x7FFFFFFF);
    m_pOptions->m_mapUsedCommands.Add(2001);
    m_pCommandBars->LoadOptions(_T("CommandBars"));
    EXPECT_TRUE(m_pOptions->m_mapUsedCommands.IsEmpty());
}

TEST_F(CommandBarsOptionsTest, ADamagedCountEndsAtTheFirstMissingItem)
{
    // A count under the cap but far above what was written: the list ends
    // at the first missing item, after a bounded number of reads, and no
    // command 0 joins it.
    std::map<std::string, long> values;
    values["UsedCommands\\Count"] = 65535;
    values["UsedCommands\\Item0"] = 2001;
    values["UsedCommands\\Item1"] = 2028;
    values["UsedCommands\\Item2"] = 57601;
    int nReads = 0;
    {
        CCountingExchange px(&values, &nReads, "");
        m_pOptions->DoPropExchange(&px, TRUE);
    }
    EXPECT_EQ((std::set<UINT>{ 2001, 2028, 57601 }), Members(m_pOptions->m_mapUsedCommands));
    EXPECT_LT(nReads, 20) << "the missing items 3 to 65534 were read";

    // The same through the registry, end to end.
    WriteDword("CommandBars-Options\\UsedCommands", "Count", 65535);
    WriteDword("CommandBars-Options\\UsedCommands", "Item0", 2036);
    m_pCommandBars->LoadOptions(_T("CommandBars"));
    EXPECT_EQ(std::set<UINT>{ 2036 }, Members(m_pOptions->m_mapUsedCommands));
}

TEST_F(CommandBarsOptionsTest, AnEmptyUsedSetIsNotWritten)
{
    m_pOptions->m_mapUsedCommands.RemoveAll();
    m_pCommandBars->SaveOptions(_T("CommandBars"));
    EXPECT_TRUE(ValueExists("CommandBars-Options", "Schema"));
    EXPECT_FALSE(ValueExists("CommandBars-Options\\UsedCommands", "Count"));
    HKEY hKey = NULL;
    EXPECT_NE(ERROR_SUCCESS, ::RegOpenKeyExA(HKEY_CURRENT_USER, SectionKey("CommandBars-Options\\UsedCommands").c_str(),
                                             0, KEY_READ, &hKey));
    if (hKey != NULL)
        ::RegCloseKey(hKey);

    // It still reads back empty, and the archive (which leaves nothing out)
    // still carries the empty set.
    m_pOptions->m_mapUsedCommands.Add(2001);
    m_pCommandBars->LoadOptions(_T("CommandBars"));
    EXPECT_TRUE(m_pOptions->m_mapUsedCommands.IsEmpty());
    m_pOptions->m_mapUsedCommands.RemoveAll();
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        m_pOptions->Serialize(ar);
    }
    file.SeekToBegin();
    CXTPCommandBarsOptions copy;
    copy.m_mapUsedCommands.Add(7);
    {
        CArchive ar(&file, CArchive::load);
        copy.Serialize(ar);
    }
    EXPECT_TRUE(copy.m_mapUsedCommands.IsEmpty());
}

TEST_F(CommandBarsOptionsTest, ArchiveCarriesEverything)
{
    m_pOptions->bShowFullAfterDelay = FALSE;
    m_pOptions->bSyncFloatingBars = FALSE;
    m_pOptions->bShowTextBelowIcons = TRUE;
    m_pOptions->animationType = 4;
    m_pOptions->szIcons = CSize(20, 20);
    m_pOptions->szLargeIcons = CSize(40, 40);
    m_pOptions->szPopupIcons = CSize(24, 24);
    m_pOptions->m_mapHiddenCommands.Add(2010);
    m_pOptions->m_mapHiddenCommands.Add(2011);
    m_pOptions->m_mapUsedCommands.Add(2001);
    m_pOptions->SetKeyboardCuesUse(4);
    m_pOptions->SetKeyboardCuesShow(1);

    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        m_pOptions->Serialize(ar);
    }
    file.SeekToBegin();
    CXTPCommandBarsOptions copy;
    {
        CArchive ar(&file, CArchive::load);
        copy.Serialize(ar);
    }
    EXPECT_FALSE(copy.bShowFullAfterDelay);
    EXPECT_FALSE(copy.bSyncFloatingBars);
    EXPECT_TRUE(copy.bShowTextBelowIcons);
    EXPECT_EQ(4, copy.animationType);
    EXPECT_EQ(CSize(20, 20), copy.szIcons);
    EXPECT_EQ(CSize(40, 40), copy.szLargeIcons);
    EXPECT_EQ(CSize(24, 24), copy.szPopupIcons);
    EXPECT_EQ((std::set<UINT>{ 2010, 2011 }), Members(copy.m_mapHiddenCommands));
    EXPECT_EQ(std::set<UINT>{ 2001 }, Members(copy.m_mapUsedCommands));
    EXPECT_EQ(4, copy.GetKeyboardCuesUse());
    EXPECT_EQ(1, copy.GetKeyboardCuesShow());
}

TEST_F(CommandBarsOptionsTest, WithoutARegistryKeyTheProfileFileIsUsed)
{
    CWinApp* pApp = AfxGetApp();
    free((void*)pApp->m_pszRegistryKey);
    pApp->m_pszRegistryKey = NULL;
    testsupport::CTempFolder folder;
    std::string strIni = folder.Path("options.ini");
    LPCTSTR pszOldProfile = pApp->m_pszProfileName;
    pApp->m_pszProfileName = strIni.c_str();

    m_pOptions->animationType = 3;
    m_pOptions->m_mapUsedCommands.Add(2036);
    m_pCommandBars->SaveOptions(_T("CommandBars"));
    m_pOptions->animationType = 0;
    m_pOptions->m_mapUsedCommands.RemoveAll();
    m_pCommandBars->LoadOptions(_T("CommandBars"));
    pApp->m_pszProfileName = pszOldProfile;

    EXPECT_EQ(3, m_pOptions->animationType);
    EXPECT_EQ(std::set<UINT>{ 2036 }, Members(m_pOptions->m_mapUsedCommands));
    EXPECT_NE(std::string::npos, testsupport::ReadFileBytes(strIni).find("CommandBars-Options"));
    HKEY hKey = NULL;
    EXPECT_NE(ERROR_SUCCESS, ::RegOpenKeyExA(HKEY_CURRENT_USER, kTestRoot, 0, KEY_READ, &hKey))
        << "nothing went to the registry";
    if (hKey != NULL)
        ::RegCloseKey(hKey);
}
