// ctest: lock testkey (HKCU\Software\BrindlemarkTests)
// Property exchange through the registry, an INI file and an archive: every
// value type, text forms, defaults, enumerators, sections, blobs and bad data.
#include <gtest/gtest.h>

#include "support/canvas.h"
#include "XTPPropExchange.h"
#include <shlwapi.h>
#include <functional>

namespace
{
const char* const g_lpszTestKey = "Software\\BrindlemarkTests\\F1PropExchange";

class RegistryTest : public ::testing::Test
{
protected:
    HKEY m_hKey = NULL;
    void SetUp() override
    {
        ::SHDeleteKeyA(HKEY_CURRENT_USER, g_lpszTestKey);
        ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(HKEY_CURRENT_USER, g_lpszTestKey, 0, NULL, 0, KEY_ALL_ACCESS,
                                                   NULL, &m_hKey, NULL));
    }
    void TearDown() override
    {
        if (m_hKey != NULL)
            ::RegCloseKey(m_hKey);
        ::SHDeleteKeyA(HKEY_CURRENT_USER, g_lpszTestKey);
        ::SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\BrindlemarkTests");
    }

    CXTPPropExchangeRegistry* Open(BOOL bLoading, LPCTSTR lpszSection = "Section")
    {
        return new CXTPPropExchangeRegistry(bLoading, m_hKey, lpszSection);
    }

    // Raw registry value of Section\name.
    BOOL Query(LPCTSTR lpszSubKey, LPCTSTR lpszName, DWORD& dwType, std::vector<BYTE>& data)
    {
        HKEY hSub = NULL;
        if (::RegOpenKeyExA(m_hKey, lpszSubKey, 0, KEY_READ, &hSub) != ERROR_SUCCESS)
            return FALSE;
        DWORD dwSize = 0;
        LONG l = ::RegQueryValueExA(hSub, lpszName, NULL, &dwType, NULL, &dwSize);
        if (l == ERROR_SUCCESS)
        {
            data.resize(dwSize);
            l = ::RegQueryValueExA(hSub, lpszName, NULL, &dwType, data.data(), &dwSize);
        }
        ::RegCloseKey(hSub);
        return l == ERROR_SUCCESS;
    }
    void SetRaw(LPCTSTR lpszName, DWORD dwType, const void* pData, DWORD dwSize)
    {
        HKEY hSub = NULL;
        ::RegCreateKeyExA(m_hKey, "Section", 0, NULL, 0, KEY_ALL_ACCESS, NULL, &hSub, NULL);
        ::RegSetValueExA(hSub, lpszName, 0, dwType, (const BYTE*)pData, dwSize);
        ::RegCloseKey(hSub);
    }
};

class IniTest : public ::testing::Test
{
protected:
    CString m_strFile;
    void SetUp() override
    {
        char szPath[MAX_PATH], szFile[MAX_PATH];
        ::GetTempPathA(MAX_PATH, szPath);
        ::GetTempFileNameA(szPath, "f1t", 0, szFile);
        m_strFile = szFile;
    }
    void TearDown() override { ::DeleteFileA(m_strFile); }

    CXTPPropExchangeIniFile* Open(BOOL bLoading, LPCTSTR lpszSection = "Section")
    {
        CXTPPropExchangeIniFile* px = new CXTPPropExchangeIniFile(bLoading, NULL, lpszSection);
        px->SetFileName(m_strFile);
        return px;
    }
    CString Read(LPCTSTR lpszSection, LPCTSTR lpszName)
    {
        char sz[1024];
        ::GetPrivateProfileStringA(lpszSection, lpszName, "<missing>", sz, sizeof(sz), m_strFile);
        return sz;
    }
};

// Every value type a store keeps, exchanged in one routine.
struct CAllValues
{
    BYTE b = 0;
    short s = 0;
    long l = 0;
    BOOL f = FALSE;
    float r4 = 0;
    double r8 = 0;
    CString str;
    CRect rc;
    CSize sz;
    CPoint pt;
    COleDateTime dt;
    COleVariant var;
    BYTE blob[5] = { 0 };

    void Fill()
    {
        b = 200;
        s = -1;
        l = -123456;
        f = TRUE;
        r4 = 1.5f;
        r8 = -2.25;
        str = "C:\\new\\tab\there\nline\r\n";
        rc.SetRect(10, 20, 110, 220);
        sz = CSize(-5, 7);
        pt = CPoint(3, -4);
        dt.SetDateTime(2007, 3, 2, 14, 5, 9);
        var = COleVariant("variant text");
        for (int i = 0; i < 5; i++)
            blob[i] = (BYTE)(i * 50 + 1);
    }

    void Exchange(CXTPPropExchange* px, BOOL bDates, BOOL bFloats)
    {
        EXPECT_TRUE(PropExchangeByte(px, "Byte", b, 0));
        EXPECT_TRUE(PropExchangeShort(px, "Short", s, 0));
        EXPECT_TRUE(PropExchangeLongWithDefault(px, "Long", l, 0));
        EXPECT_TRUE(PropExchangeBool(px, "Bool", f, FALSE));
        if (bFloats)
        {
            float r4Default = 0;
            double r8Default = 0;
            EXPECT_TRUE(px->ExchangeValue("Float", VT_R4, &r4, &r4Default));
            EXPECT_TRUE(px->ExchangeValue("Double", VT_R8, &r8, &r8Default));
        }
        EXPECT_TRUE(PropExchangeStringWithDefault(px, "String", str, ""));
        EXPECT_TRUE(PropExchangeRect(px, "Rect", rc, CRect(0, 0, 0, 0)));
        EXPECT_TRUE(PropExchangeSize(px, "Size", sz, CSize(0, 0)));
        SIZE ptAsSize = { pt.x, pt.y };
        EXPECT_TRUE(PropExchangeSize(px, "Point", ptAsSize, CSize(0, 0)));
        pt = CPoint(ptAsSize.cx, ptAsSize.cy);
        if (bDates)
        {
            EXPECT_TRUE(px->ExchangeValue("Date", VT_DATE, &dt, NULL));
            EXPECT_TRUE(px->ExchangeValue("Variant", VT_VARIANT, (VARIANT*)&var, NULL));
        }
        BYTE* pBlob = blob;
        DWORD nBlob = sizeof(blob);
        EXPECT_TRUE(px->ExchangeBlob("Blob", pBlob, nBlob));
    }

    void ExpectEqual(const CAllValues& other, BOOL bDates, BOOL bFloats) const
    {
        EXPECT_EQ(b, other.b);
        EXPECT_EQ(s, other.s);
        EXPECT_EQ(l, other.l);
        EXPECT_EQ(f, other.f);
        if (bFloats)
        {
            EXPECT_FLOAT_EQ(r4, other.r4);
            EXPECT_DOUBLE_EQ(r8, other.r8);
        }
        EXPECT_STREQ((LPCTSTR)str, (LPCTSTR)other.str);
        EXPECT_EQ(rc, other.rc);
        EXPECT_EQ(sz, other.sz);
        EXPECT_EQ(pt, other.pt);
        if (bDates)
        {
            EXPECT_TRUE(dt == other.dt);
            EXPECT_TRUE(var == other.var);
        }
        EXPECT_EQ(0, memcmp(blob, other.blob, sizeof(blob)));
    }
};
}

//////////////////////////////////////////////////////////////////////////
// Text forms

TEST(PropExchangeText, BlobLettersAndEscapes)
{
    EXPECT_STREQ("BGCGDG", (LPCTSTR)CXTPPropExchange::BlobToText((const BYTE*)"abc", 3));
    EXPECT_STREQ("", (LPCTSTR)CXTPPropExchange::BlobToText(NULL, 0));

    CString str = "a\\nb\nc\td\re\\\\";
    CString strEscaped = CXTPPropExchange::EscapeString(str);
    EXPECT_STREQ("a\\\\nb\\nc\\td\\re\\\\\\\\", (LPCTSTR)strEscaped);
    EXPECT_STREQ((LPCTSTR)str, (LPCTSTR)CXTPPropExchange::UnescapeString(strEscaped));
    EXPECT_STREQ("plain", (LPCTSTR)CXTPPropExchange::UnescapeString("plain"));
}

TEST(PropExchangeText, DateTimeForms)
{
    COleDateTime dt;
    dt.SetDateTime(2007, 3, 2, 14, 5, 9);
    EXPECT_STREQ("2007-02-03T14:05:09", (LPCTSTR)CXTPPropExchange::DateTimeToText(dt));
    COleDateTime dtBack;
    ASSERT_TRUE(CXTPPropExchange::TextToDateTime("2007-02-03T14:05:09", dtBack));
    EXPECT_TRUE(dt == dtBack);

    COleDateTime date;
    date.SetDate(2010, 12, 25);
    EXPECT_STREQ("2010-25-12", (LPCTSTR)CXTPPropExchange::DateTimeToText(date));
    ASSERT_TRUE(CXTPPropExchange::TextToDateTime("2010-25-12", dtBack));
    EXPECT_TRUE(date == dtBack);

    COleDateTime time((DATE)((14 * 60.0 + 5) * 60 + 9) / 86400.0);
    EXPECT_STREQ("14:05:09", (LPCTSTR)CXTPPropExchange::DateTimeToText(time));
    ASSERT_TRUE(CXTPPropExchange::TextToDateTime("14:05:09", dtBack));
    EXPECT_EQ(0, (int)dtBack.m_dt);
    EXPECT_NEAR(time.m_dt, dtBack.m_dt, 1e-9);
    ASSERT_TRUE(CXTPPropExchange::TextToDateTime("7:30", dtBack));
    EXPECT_NEAR(7.5 / 24, dtBack.m_dt, 1e-9);

    EXPECT_FALSE(CXTPPropExchange::TextToDateTime("yesterday", dtBack));
    EXPECT_FALSE(CXTPPropExchange::TextToDateTime("2007-99-99", dtBack));
}

//////////////////////////////////////////////////////////////////////////
// Registry

TEST_F(RegistryTest, EveryTypeRoundTrips)
{
    CAllValues saved;
    saved.Fill();
    {
        CXTPPropExchangeSection px(Open(FALSE));
        CXTPPropExchange* p = px;
        // Dates and variants are not kept in the registry.
        COleDateTime dt;
        EXPECT_FALSE(p->ExchangeValue("Date", VT_DATE, &dt, NULL));
        saved.Exchange(p, FALSE, TRUE);
    }
    DWORD dwType = 0;
    std::vector<BYTE> data;
    ASSERT_TRUE(Query("Section", "Short", dwType, data));
    EXPECT_EQ((DWORD)REG_DWORD, dwType);
    EXPECT_EQ(65535u, *(DWORD*)data.data());  // zero-extended
    ASSERT_TRUE(Query("Section", "Rect", dwType, data));
    EXPECT_EQ((DWORD)REG_SZ, dwType);
    EXPECT_STREQ("10, 20, 110, 220", (const char*)data.data());
    ASSERT_TRUE(Query("Section", "Double", dwType, data));
    EXPECT_EQ((DWORD)REG_BINARY, dwType);
    ASSERT_TRUE(Query("Section", "Blob", dwType, data));
    EXPECT_EQ((DWORD)REG_BINARY, dwType);
    EXPECT_EQ(5u, data.size());

    CAllValues loaded;
    {
        CXTPPropExchangeSection px(Open(TRUE));
        loaded.Exchange(px, FALSE, TRUE);
    }
    saved.ExpectEqual(loaded, FALSE, TRUE);
}

TEST_F(RegistryTest, ValuesEqualToTheirDefaultAreRemoved)
{
    CRect rc(10, 20, 110, 220);
    {
        CXTPPropExchangeSection px(Open(FALSE));
        PropExchangeRect(px, "Rect", rc, CRect(0, 0, 0, 0));
        px->WriteCount(0);
    }
    DWORD dwType = 0;
    std::vector<BYTE> data;
    EXPECT_TRUE(Query("Section", "Rect", dwType, data));
    EXPECT_FALSE(Query("Section", "Count", dwType, data));
    {
        CXTPPropExchangeSection px(Open(FALSE));
        PropExchangeRect(px, "Rect", rc, rc);
    }
    EXPECT_FALSE(Query("Section", "Rect", dwType, data));

    CXTPPropExchangeSection px(Open(TRUE));
    EXPECT_EQ(0u, px->ReadCount());
}

TEST_F(RegistryTest, MissingSectionGivesDefaultsAndIsNotCreated)
{
    CXTPPropExchangeSection px(Open(TRUE, "Fresh"));
    long l = 5;
    EXPECT_TRUE(PropExchangeLongWithDefault(px, "Missing", l, 42));
    EXPECT_EQ(42, l);
    CString str = "keep";
    EXPECT_FALSE(PropExchangeString(px, "Missing", str));
    EXPECT_STREQ("keep", (LPCTSTR)str);

    // Loading never leaves keys behind, not even for a section of it.
    {
        CXTPPropExchangeSection sec(px->OpenSection("Child"));
        l = 5;
        EXPECT_TRUE(PropExchangeLongWithDefault(sec, "Missing", l, 43));
        EXPECT_EQ(43, l);
    }
    HKEY hSub = NULL;
    EXPECT_NE(ERROR_SUCCESS, ::RegOpenKeyExA(m_hKey, "Fresh", 0, KEY_READ, &hSub));
    if (hSub)
        ::RegCloseKey(hSub);

    px->UseDefaultOnLoad(FALSE);
    l = 5;
    EXPECT_FALSE(PropExchangeLongWithDefault(px, "Missing", l, 42));
    EXPECT_EQ(5, l);
}

TEST_F(RegistryTest, BadlyTypedAndOversizedValuesFallBackToTheDefault)
{
    const char szText[] = "12345";
    SetRaw("Number", REG_SZ, szText, sizeof(szText));
    WORD wShort = 7;
    SetRaw("Short", REG_DWORD, &wShort, 2);
    // A string without its terminating zero.
    SetRaw("Unterminated", REG_BINARY, "abc", 3);
    SetRaw("Text", REG_SZ, "abc", 3);
    DWORD dw = 99;
    SetRaw("Rect", REG_DWORD, &dw, 4);
    SetRaw("Blob", REG_SZ, szText, sizeof(szText));

    CXTPPropExchangeSection px(Open(TRUE));
    long l = 0;
    EXPECT_TRUE(PropExchangeLongWithDefault(px, "Number", l, -1));
    EXPECT_EQ(-1, l);
    l = 0;
    EXPECT_TRUE(PropExchangeLongWithDefault(px, "Short", l, -2));
    EXPECT_EQ(-2, l);
    CString str;
    EXPECT_TRUE(PropExchangeStringWithDefault(px, "Unterminated", str, "def"));
    EXPECT_STREQ("def", (LPCTSTR)str);
    EXPECT_TRUE(PropExchangeStringWithDefault(px, "Text", str, "def"));
    EXPECT_STREQ("abc", (LPCTSTR)str);
    CRect rc;
    EXPECT_TRUE(PropExchangeRect(px, "Rect", rc, CRect(1, 2, 3, 4)));
    EXPECT_EQ(CRect(1, 2, 3, 4), rc);

    BYTE* pData = NULL;
    DWORD nBytes = 0;
    EXPECT_FALSE(px->ExchangeBlob("Blob", pData, nBytes));
    EXPECT_EQ(nullptr, pData);
}

TEST_F(RegistryTest, BlobIntoSmallBufferFailsUntouched)
{
    BYTE data[8] = { 1, 2, 3, 4, 5, 6, 7, 8 };
    {
        CXTPPropExchangeSection px(Open(FALSE));
        EXPECT_TRUE(px->WriteBlock("Block", data, 8));
    }
    CXTPPropExchangeSection px(Open(TRUE));
    BYTE small[4] = { 9, 9, 9, 9 };
    EXPECT_EQ(0u, px->ReadBlock("Block", small, 4));
    EXPECT_EQ(9, small[0]);
    BYTE big[8] = { 0 };
    EXPECT_EQ(8u, px->ReadBlock("Block", big, 8));
    EXPECT_EQ(0, memcmp(data, big, 8));

    BYTE* pAlloc = NULL;
    DWORD nAlloc = 0;
    EXPECT_TRUE(px->ExchangeBlob("Block", pAlloc, nAlloc));
    EXPECT_EQ(8u, nAlloc);
    ASSERT_NE(nullptr, pAlloc);
    EXPECT_EQ(0, memcmp(data, pAlloc, 8));
    free(pAlloc);
}

TEST_F(RegistryTest, SectionsEnumeratorsAndClearing)
{
    {
        CXTPPropExchangeSection px(Open(FALSE, "Bars"));
        CXTPPropExchangeEnumeratorPtr pEnum(px->CreateEnumerator("Bar"));
        POSITION pos = pEnum->GetPosition(3);
        long i = 0;
        while (pos)
        {
            CXTPPropExchangeSection sec(pEnum->GetNext(pos));
            EXPECT_FALSE(sec->IsRootSection());
            PropExchangeLong(sec, "Index", i);
            i++;
        }
        EXPECT_EQ(3, i);
    }
    HKEY hSub = NULL;
    ASSERT_EQ(ERROR_SUCCESS, ::RegOpenKeyExA(m_hKey, "Bars\\Bar2", 0, KEY_READ, &hSub));
    ::RegCloseKey(hSub);
    {
        CXTPPropExchangeSection px(Open(TRUE, "Bars"));
        CXTPPropExchangeEnumeratorPtr pEnum(px->CreateEnumerator("Bar"));
        POSITION pos = pEnum->GetPosition();
        long nExpected = 0;
        while (pos)
        {
            CXTPPropExchangeSection sec(pEnum->GetNext(pos));
            long n = -1;
            PropExchangeLong(sec, "Index", n);
            EXPECT_EQ(nExpected++, n);
        }
        EXPECT_EQ(3, nExpected);
        EXPECT_EQ(nullptr, pos);
    }
    {
        CXTPPropExchangeSection px(Open(FALSE, "Bars"));
        px->ClearSection();
        EXPECT_TRUE(px->m_bEmptySection);
        long l = 1;
        PropExchangeLong(px, "After", l);
    }
    EXPECT_NE(ERROR_SUCCESS, ::RegOpenKeyExA(m_hKey, "Bars\\Bar0", 0, KEY_READ, &hSub));
    DWORD dwType = 0;
    std::vector<BYTE> data;
    EXPECT_TRUE(Query("Bars", "After", dwType, data));
}

TEST_F(RegistryTest, ClearingRemovesDeepSectionsAndValuesAndLongTextsReadWhole)
{
    // Leaf sections, a section with a section of its own, and values.
    {
        CXTPPropExchangeSection px(Open(FALSE, "Layout"));
        long l = 7;
        PropExchangeLong(px, "Top", l);
        for (LPCTSTR lpszName : { "Pane-1", "Pane-2" })
        {
            CXTPPropExchangeSection sec(px->OpenSection(lpszName));
            PropExchangeLong(sec, "Type", l);
        }
        CXTPPropExchangeSection deep(px->OpenSection("Deep"));
        CXTPPropExchangeSection deeper(deep->OpenSection("Deeper"));
        PropExchangeLong(deeper, "Inner", l);
    }
    {
        CXTPPropExchangeSection px(Open(FALSE, "Layout"));
        px->ClearSection();
        CXTPPropExchangeSection sec(px->OpenSection("Pane-1"));
        long l = 3;
        PropExchangeLong(sec, "Type", l);
    }
    HKEY hSub = NULL;
    for (LPCTSTR lpszGone : { "Layout\\Pane-2", "Layout\\Deep", "Layout\\Deep\\Deeper" })
    {
        EXPECT_NE(ERROR_SUCCESS, ::RegOpenKeyExA(m_hKey, lpszGone, 0, KEY_READ, &hSub)) << lpszGone;
    }
    DWORD dwType = 0;
    std::vector<BYTE> data;
    EXPECT_FALSE(Query("Layout", "Top", dwType, data));
    ASSERT_TRUE(Query("Layout\\Pane-1", "Type", dwType, data));
    EXPECT_EQ(3u, *(DWORD*)data.data());

    // Texts shorter and longer than one read's buffer come back whole.
    CString strShort("short"), strLong;
    for (int i = 0; i < 700; i++)
        strLong += (char)('a' + i % 26);
    {
        CXTPPropExchangeSection px(Open(FALSE));
        PropExchangeString(px, "Short", strShort);
        PropExchangeString(px, "Long", strLong);
    }
    CXTPPropExchangeSection px(Open(TRUE));
    CString strReadShort, strReadLong;
    PropExchangeString(px, "Short", strReadShort);
    PropExchangeString(px, "Long", strReadLong);
    EXPECT_STREQ(strShort, strReadShort);
    EXPECT_STREQ(strLong, strReadLong);
}

TEST_F(RegistryTest, ASectionOfAKeyThatFailedToOpenFailsToo)
{
    // The application's own key exists, so a fallback to it would succeed.
    CWinApp app("PropExchangeFallback");
    app.SetRegistryKey("BrindlemarkTests");
    ::SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\BrindlemarkTests\\PropExchangeFallback");
    HKEY hAppKey = app.GetAppRegistryKey();
    ASSERT_TRUE(hAppKey != NULL);
    ::RegCloseKey(hAppKey);

    // A parent key that cannot be opened (its own parent is no key).
    HKEY hNoKey = (HKEY)(ULONG_PTR)0x7FFFFFF0;
    {
        CXTPPropExchangeSection px(new CXTPPropExchangeRegistry(FALSE, hNoKey, "Parent"));
        EXPECT_FALSE(px->PrepareStore());
        CXTPPropExchangeSection sec(px->OpenSection("Child"));
        long l = 9;
        EXPECT_FALSE(PropExchangeLong(sec, "Value", l));
    }

    HKEY hWrong = NULL;
    EXPECT_NE(ERROR_SUCCESS, ::RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\BrindlemarkTests\\PropExchangeFallback\\Child",
                                             0, KEY_READ, &hWrong))
        << "nothing is written below the application's key";
    if (hWrong != NULL)
        ::RegCloseKey(hWrong);
    ::SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\BrindlemarkTests\\PropExchangeFallback");
}

TEST_F(RegistryTest, SchemaAndContextPassToSections)
{
    CXTPPropExchangeSection px(Open(FALSE));
    int nContext = 0;
    px->m_pContext = &nContext;
    px->m_nSchema = 17;
    CXTPPropExchangeSection sec(px->OpenSection("Child"));
    EXPECT_EQ(&nContext, sec->m_pContext);
    EXPECT_EQ(17, sec->m_nSchema);
    EXPECT_FALSE(sec->IsLoading());
    EXPECT_TRUE(px->IsBinaryStore());
    EXPECT_TRUE(px->CanOmitValues());
}

//////////////////////////////////////////////////////////////////////////
// INI file

TEST_F(IniTest, EveryTypeRoundTripsAsText)
{
    CAllValues saved;
    saved.Fill();
    {
        CXTPPropExchangeSection px(Open(FALSE));
        saved.Exchange(px, TRUE, TRUE);
        CY cy = { { 1, 2 } };
        EXPECT_FALSE(px->ExchangeValue("Currency", VT_CY, &cy, NULL));
        EXPECT_FALSE(px->IsBinaryStore());
    }
    EXPECT_STREQ("10, 20, 110, 220", (LPCTSTR)Read("Section", "Rect"));
    EXPECT_STREQ("65535", (LPCTSTR)Read("Section", "Short"));
    EXPECT_STREQ("1.5", (LPCTSTR)Read("Section", "Float"));
    EXPECT_STREQ("2007-02-03T14:05:09", (LPCTSTR)Read("Section", "Date"));
    EXPECT_STREQ("C:\\\\new\\\\tab\\there\\nline\\r\\n", (LPCTSTR)Read("Section", "String"));
    EXPECT_STREQ("BADDFGHJJM", (LPCTSTR)Read("Section", "Blob"));
    EXPECT_STREQ("<missing>", (LPCTSTR)Read("Section", "Currency"));

    CAllValues loaded;
    {
        CXTPPropExchangeSection px(Open(TRUE));
        loaded.Exchange(px, TRUE, TRUE);
    }
    saved.ExpectEqual(loaded, TRUE, TRUE);
}

TEST_F(IniTest, BackslashNSurvivesAndLongValuesAreRead)
{
    CString str = "path\\name";
    CString strLong('x', 5000);
    {
        CXTPPropExchangeSection px(Open(FALSE));
        PropExchangeString(px, "Path", str);
        PropExchangeString(px, "Long", strLong);
    }
    CXTPPropExchangeSection px(Open(TRUE));
    CString strBack, strLongBack;
    EXPECT_TRUE(PropExchangeString(px, "Path", strBack));
    EXPECT_STREQ("path\\name", (LPCTSTR)strBack);
    EXPECT_TRUE(PropExchangeString(px, "Long", strLongBack));
    EXPECT_EQ(5000, strLongBack.GetLength());
}

TEST_F(IniTest, EveryBlobTheWriterAcceptsReadsBackWhole)
{
    // Packed bar controls of 8,000 to 16,000 bytes are written as 16,000 to
    // 32,000 letters; every size the writer takes must come back whole,
    // whether it was written by the exchange or by the profile writer.
    for (DWORD nSize : { 7999u, 8000u, 12345u, 15999u, 16000u })
    {
        std::vector<BYTE> blob(nSize);
        for (DWORD i = 0; i < nSize; i++)
            blob[i] = (BYTE)(i * 7 + i / 251);
        {
            CXTPPropExchangeSection px(Open(FALSE));
            BYTE* pData = &blob[0];
            DWORD nBytes = nSize;
            ASSERT_TRUE(px->ExchangeBlob("Controls", pData, nBytes)) << nSize;
        }
        ASSERT_TRUE(AfxWriteIniString("Other", "Controls", CXTPPropExchange::BlobToText(&blob[0], nSize), m_strFile));
        for (LPCTSTR lpszSection : { "Section", "Other" })
        {
            CXTPPropExchangeSection px(Open(TRUE, lpszSection));
            BYTE* pData = NULL;
            DWORD nBytes = 0;
            ASSERT_TRUE(px->ExchangeBlob("Controls", pData, nBytes)) << nSize << " " << lpszSection;
            ASSERT_TRUE(pData != NULL);
            EXPECT_EQ(nSize, nBytes) << lpszSection;
            EXPECT_EQ(0, memcmp(pData, &blob[0], nSize)) << nSize << " " << lpszSection;
            free(pData);
        }
    }
}

TEST_F(IniTest, OverlongValuesFailTheSaveAndWriteNothing)
{
    std::vector<BYTE> blob(21000, 0xA5);
    CXTPPropExchangeSection px(Open(FALSE));
    BYTE* pData = &blob[0];
    DWORD nBytes = (DWORD)blob.size();
    EXPECT_FALSE(px->ExchangeBlob("Controls", pData, nBytes));
    EXPECT_STREQ("<missing>", Read("Section", "Controls"));
    long l = 4;
    EXPECT_TRUE(PropExchangeLong(px, "After", l)) << "the store still works";
}

TEST_F(IniTest, DefaultsRemovalCountsAndBadText)
{
    ::WritePrivateProfileStringA("Section", "Count", "4", m_strFile);
    ::WritePrivateProfileStringA("Section", "Rect", "1, 2, x", m_strFile);
    ::WritePrivateProfileStringA("Section", "Date", "not a date", m_strFile);
    ::WritePrivateProfileStringA("Section", "Blob", "ABC", m_strFile);
    ::WritePrivateProfileStringA("Section", "Empty", "", m_strFile);
    {
        CXTPPropExchangeSection px(Open(TRUE));
        EXPECT_EQ(4u, px->ReadCount());
        CRect rc;
        EXPECT_TRUE(PropExchangeRect(px, "Rect", rc, CRect(5, 6, 7, 8)));
        EXPECT_EQ(CRect(5, 6, 7, 8), rc);
        COleDateTime dt(1.0), dtDefault(2.0);
        EXPECT_FALSE(px->ExchangeValue("Date", VT_DATE, &dt, &dtDefault));
        EXPECT_EQ(1.0, dt.m_dt);  // no default for unreadable dates
        BYTE* pData = NULL;
        DWORD nBytes = 0;
        EXPECT_FALSE(px->ExchangeBlob("Blob", pData, nBytes));
        long l = 3;
        EXPECT_TRUE(PropExchangeLongWithDefault(px, "Empty", l, 9));
        EXPECT_EQ(9, l);
    }
    {
        CXTPPropExchangeSection px(Open(FALSE));
        px->WriteCount(0);
    }
    EXPECT_STREQ("<missing>", (LPCTSTR)Read("Section", "Count"));
    CXTPPropExchangeSection px(Open(TRUE));
    EXPECT_EQ(0u, px->ReadCount());
}

TEST_F(IniTest, ClearingASectionRemovesItsSubsections)
{
    {
        CXTPPropExchangeSection px(Open(FALSE, "Bars"));
        CXTPPropExchangeSection bar0(px->OpenSection("Bar0"));
        long l = 1;
        PropExchangeLong(bar0, "Value", l);
        PropExchangeLong(px, "Value", l);
    }
    ::WritePrivateProfileStringA("BarsExtra", "Value", "1", m_strFile);
    EXPECT_STREQ("1", (LPCTSTR)Read("Bars\\Bar0", "Value"));
    {
        CXTPPropExchangeSection px(Open(FALSE, "Bars"));
        px->ClearSection();
    }
    EXPECT_STREQ("<missing>", (LPCTSTR)Read("Bars", "Value"));
    EXPECT_STREQ("<missing>", (LPCTSTR)Read("Bars\\Bar0", "Value"));
    EXPECT_STREQ("1", (LPCTSTR)Read("BarsExtra", "Value"));
}

TEST(IniTempFile, ExchangeWithoutAFileUsesATemporaryOne)
{
    CString strFile;
    {
        CXTPPropExchangeIniFile* pIni = new CXTPPropExchangeIniFile(FALSE, NULL, "Section");
        CXTPPropExchangeSection px(pIni);
        long l = 7;
        EXPECT_TRUE(PropExchangeLong(px, "Value", l));
        strFile = pIni->GetFileName();
        ASSERT_FALSE(strFile.IsEmpty());
        CString strName = strFile.Mid(strFile.ReverseFind('\\') + 1);
        EXPECT_EQ(0, strName.Left(3).CompareNoCase("xtp"));

        // A section shares the file and never deletes it.
        {
            CXTPPropExchangeSection sec(px->OpenSection("Child"));
            PropExchangeLong(sec, "Value", l);
        }
        EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(strFile));
        char sz[32];
        ::GetPrivateProfileStringA("Section\\Child", "Value", "", sz, sizeof(sz), strFile);
        EXPECT_STREQ("7", sz);
    }
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(strFile));
}

//////////////////////////////////////////////////////////////////////////
// Archive

namespace
{
void ArchiveRoundTrip(const std::function<void(CXTPPropExchange*)>& fnSave,
                      const std::function<void(CXTPPropExchange*)>& fnLoad, CMemFile& file)
{
    {
        CArchive ar(&file, CArchive::store);
        CXTPPropExchangeArchive px(ar);
        fnSave(&px);
        ar.Close();
    }
    file.SeekToBegin();
    {
        CArchive ar(&file, CArchive::load);
        CXTPPropExchangeArchive px(ar);
        fnLoad(&px);
        ar.Close();
    }
}
}

TEST(ArchiveStore, EveryTypeRoundTripsInCallOrder)
{
    CAllValues saved, loaded;
    saved.Fill();
    CY cySaved = { { 0x12345678, -2 } }, cyLoaded = { { 0, 0 } };
    CMemFile file;
    ArchiveRoundTrip(
        [&](CXTPPropExchange* px) {
            EXPECT_FALSE(px->CanOmitValues());
            EXPECT_TRUE(px->IsBinaryStore());
            saved.Exchange(px, TRUE, TRUE);
            EXPECT_TRUE(px->ExchangeValue("Cy", VT_CY, &cySaved, NULL));
            BSTR bstr = NULL;
            EXPECT_FALSE(px->ExchangeValue("Bstr", VT_BSTR, &bstr, NULL));
        },
        [&](CXTPPropExchange* px) {
            loaded.Exchange(px, TRUE, TRUE);
            EXPECT_TRUE(px->ExchangeValue("Cy", VT_CY, &cyLoaded, NULL));
        },
        file);
    saved.ExpectEqual(loaded, TRUE, TRUE);
    EXPECT_EQ(cySaved.int64, cyLoaded.int64);
}

TEST(ArchiveStore, VariantsAndDatesTakeTheClassLibrarysArchiveForms)
{
    // A string variant is the class library's variant form: type, byte
    // count, the wide characters.
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        CXTPPropExchangeArchive px(ar);
        COleVariant var("ab");
        EXPECT_TRUE(px.ExchangeValue("V", VT_VARIANT, (VARIANT*)&var, NULL));
        ar.Close();
    }
    const BYTE expected[] = { 0x08, 0x00, 0x04, 0x00, 0x00, 0x00, 'a', 0x00, 'b', 0x00 };
    ASSERT_EQ(sizeof(expected), (size_t)file.GetLength());
    BYTE written[sizeof(expected)];
    file.SeekToBegin();
    file.Read(written, sizeof(written));
    EXPECT_EQ(0, memcmp(expected, written, sizeof(expected)));

    // Both ways between the store and the class library, 64-bit integers
    // and dates included.
    VARIANT big;
    ::VariantInit(&big);
    big.vt = VT_I8;
    big.llVal = -1234567890123LL;
    COleDateTime date(2007, 5, 6, 7, 8, 9);
    CMemFile mixed;
    {
        CArchive ar(&mixed, CArchive::store);
        CXTPPropExchangeArchive px(ar);
        EXPECT_TRUE(px.ExchangeValue("Big", VT_VARIANT, &big, NULL));
        EXPECT_TRUE(px.ExchangeValue("Date", VT_DATE, &date, NULL));
        ar << COleVariant("cd");
        ar.Close();
    }
    mixed.SeekToBegin();
    {
        CArchive ar(&mixed, CArchive::load);
        COleVariant bigRead;
        COleDateTime dateRead;
        ar >> bigRead >> dateRead;
        EXPECT_EQ(VT_I8, bigRead.vt);
        EXPECT_EQ(-1234567890123LL, bigRead.llVal);
        EXPECT_TRUE(dateRead == date);
        CXTPPropExchangeArchive px(ar);
        VARIANT text;
        ::VariantInit(&text);
        EXPECT_TRUE(px.ExchangeValue("Text", VT_VARIANT, &text, NULL));
        ASSERT_EQ(VT_BSTR, text.vt);
        EXPECT_STREQ(L"cd", text.bstrVal);
        ::VariantClear(&text);
    }

    // A date whose stored status is impossible is refused.
    CMemFile forged;
    {
        CArchive ar(&forged, CArchive::store);
        ar << (LONG)7 << 39000.5;
        ar.Close();
    }
    forged.SeekToBegin();
    CArchive ar(&forged, CArchive::load);
    CXTPPropExchangeArchive px(ar);
    COleDateTime dateForged;
    bool bRefused = false;
    try
    {
        px.ExchangeValue("Date", VT_DATE, &dateForged, NULL);
    }
    catch (CArchiveException* e)
    {
        bRefused = true;
        e->Delete();
    }
    EXPECT_TRUE(bRefused);
    EXPECT_EQ(COleDateTime::valid, dateForged.GetStatus());
    ar.Abort();
}

TEST(ArchiveStore, SchemaMarkIsOptional)
{
    CMemFile file;
    long lValue = 0;
    int nSchemaRead = 0;
    ArchiveRoundTrip([&](CXTPPropExchange* px) { long l = 0x11223344; PropExchangeLong(px, "V", l); },
                     [&](CXTPPropExchange* px) {
                         px->ExchangeSchema();
                         nSchemaRead = px->m_nSchema;
                         PropExchangeLong(px, "V", lValue);
                     },
                     file);
    EXPECT_EQ(17, nSchemaRead);
    EXPECT_EQ(0x11223344, lValue);

    CMemFile file2;
    ArchiveRoundTrip(
        [&](CXTPPropExchange* px) { px->m_nSchema = 22; px->ExchangeSchema(); long l = 5; PropExchangeLong(px, "V", l); },
        [&](CXTPPropExchange* px) {
            px->ExchangeSchema();
            nSchemaRead = px->m_nSchema;
            PropExchangeLong(px, "V", lValue);
        },
        file2);
    EXPECT_EQ(22, nSchemaRead);
    EXPECT_EQ(5, lValue);
    EXPECT_EQ(12u, (UINT)file2.GetLength());
}

TEST(ArchiveStore, BlobsCountsAndSerializedObjects)
{
    CMemFile file;
    BYTE data[300];
    for (int i = 0; i < 300; i++)
        data[i] = (BYTE)i;
    ArchiveRoundTrip(
        [&](CXTPPropExchange* px) {
            BYTE* p = data;
            DWORD n = 300;
            EXPECT_TRUE(px->ExchangeBlob("Blob", p, n));
            px->WriteCount(70000);
            EXPECT_TRUE(px->WriteBlock("Raw", data, 4));
        },
        [&](CXTPPropExchange* px) {
            BYTE* p = NULL;
            DWORD n = 0;
            EXPECT_TRUE(px->ExchangeBlob("Blob", p, n));
            EXPECT_EQ(300u, n);
            ASSERT_NE(nullptr, p);
            EXPECT_EQ(0, memcmp(data, p, 300));
            free(p);
            EXPECT_EQ(70000u, px->ReadCount());
            BYTE raw[4] = { 0 };
            EXPECT_EQ(4u, px->ReadBlock("Raw", raw, 4));
            EXPECT_EQ(3, raw[3]);
        },
        file);
}

TEST(ArchiveStore, OversizedBlobCountIsRefusedBeforeAllocation)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        ar.WriteCount(0x7FFFFFF0);  // claims far more than follows
        ar << (DWORD)1;
        ar.Close();
    }
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    CXTPPropExchangeArchive px(ar);
    BYTE* p = NULL;
    DWORD n = 0;
    EXPECT_FALSE(px.ExchangeBlob("Blob", p, n));
    EXPECT_EQ(nullptr, p);
    ar.Abort();
}

TEST(ArchiveStore, ReadingPastTheEndThrows)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        ar << (BYTE)1;
        ar.Close();
    }
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    CXTPPropExchangeArchive px(ar);
    long l = 0;
    bool bThrown = false;
    try
    {
        PropExchangeLong(&px, "V", l);
    }
    catch (CArchiveException* e)
    {
        bThrown = true;
        e->Delete();
    }
    EXPECT_TRUE(bThrown);
    ar.Abort();
}

//////////////////////////////////////////////////////////////////////////
// Enumerators and serialised objects through text stores

namespace
{
class CSerialThing : public CObject
{
    DECLARE_SERIAL(CSerialThing)
public:
    long m_n = 0;
    CString m_str;
    virtual void Serialize(CArchive& ar)
    {
        if (ar.IsStoring())
            ar << m_n << m_str;
        else
            ar >> m_n >> m_str;
    }
};
IMPLEMENT_SERIAL(CSerialThing, CObject, 1)
}

TEST_F(IniTest, SerializedObjectsTravelAsLetterBlobs)
{
    CSerialThing thing;
    thing.m_n = 77;
    thing.m_str = "seventy-seven";
    {
        CXTPPropExchangeSection px(Open(FALSE));
        EXPECT_TRUE(PropExchangeSerialize(px, "Data", &thing));
        CRuntimeClass* pClass = RUNTIME_CLASS(CSerialThing);
        EXPECT_TRUE(px->ExchangeClass("Class", pClass, RUNTIME_CLASS(CObject)));
    }
    EXPECT_FALSE(Read("Section", "Data").IsEmpty());
    EXPECT_STREQ("CSerialThing", (LPCTSTR)Read("Section", "Class"));

    CSerialThing back;
    CXTPPropExchangeSection px(Open(TRUE));
    EXPECT_TRUE(PropExchangeSerialize(px, "Data", &back));
    EXPECT_EQ(77, back.m_n);
    EXPECT_STREQ("seventy-seven", (LPCTSTR)back.m_str);
    EXPECT_FALSE(PropExchangeSerialize(px, "Missing", &back));

    CObject* pObject = NULL;
    CXTPPropExchangeSection sec(px->OpenSection("NoSuch"));
    EXPECT_TRUE(sec->ExchangeObjectByClass(pObject, RUNTIME_CLASS(CSerialThing)));
    ASSERT_NE(nullptr, pObject);
    EXPECT_TRUE(pObject->IsKindOf(RUNTIME_CLASS(CSerialThing)));
    delete pObject;
}

namespace
{
// An object that serialises the given number of bytes, each from its seed.
class CSizedThing : public CObject
{
public:
    DWORD m_nBytes = 0;
    BYTE m_bSeed = 0;
    virtual void Serialize(CArchive& ar)
    {
        if (ar.IsStoring())
        {
            ar << m_nBytes;
            for (DWORD i = 0; i < m_nBytes; i++)
                ar << (BYTE)(m_bSeed + i);
        }
        else
        {
            ar >> m_nBytes;
            BYTE b = 0;
            for (DWORD i = 0; i < m_nBytes; i++)
                ar >> b;
            m_bSeed = (BYTE)(b - (BYTE)(m_nBytes - 1));
        }
    }
};
} // namespace

TEST_F(IniTest, AnObjectTooLargeForALineFailsTheSaveAndLeavesNoEarlierValue)
{
    // 15,995 bytes of data (with its count, 15,999) fit a line; saved
    // again at 16,001 or 20,000 bytes the save fails, and the load finds no
    // value instead of the earlier one.
    CSizedThing small;
    small.m_nBytes = 15995;
    small.m_bSeed = 3;
    {
        CXTPPropExchangeSection px(Open(FALSE));
        ASSERT_TRUE(PropExchangeSerialize(px, "Data", &small));
    }
    for (DWORD nBytes : {15997u, 19996u})
    {
        CSizedThing large;
        large.m_nBytes = nBytes;
        large.m_bSeed = 9;
        {
            CXTPPropExchangeSection px(Open(FALSE));
            EXPECT_FALSE(PropExchangeSerialize(px, "Data", &large)) << nBytes;
        }
        EXPECT_STREQ("<missing>", Read("Section", "Data")) << nBytes;
        CSizedThing back;
        CXTPPropExchangeSection px(Open(TRUE));
        EXPECT_FALSE(PropExchangeSerialize(px, "Data", &back)) << "no earlier value is read back";
        EXPECT_EQ(0u, back.m_nBytes);
    }

    // The archive store takes any size.
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        CXTPPropExchangeArchive px(ar);
        CSizedThing large;
        large.m_nBytes = 20000;
        EXPECT_TRUE(PropExchangeSerialize(&px, "Data", &large));
        ar.Close();
    }
    EXPECT_GT(file.GetLength(), (ULONGLONG)20000);
}

TEST_F(IniTest, AFailedWriteRemovesTheEarlierValue)
{
    // A text too long for a line of the file is not written, and the value
    // stored before under its name goes with the failed write.
    ::WritePrivateProfileStringA("Section", "Text", "earlier", m_strFile);
    CString strLong('x', AFX_MAX_INI_VALUE + 1);
    {
        CXTPPropExchangeSection px(Open(FALSE));
        EXPECT_FALSE(PropExchangeString(px, "Text", strLong));
    }
    EXPECT_STREQ("<missing>", Read("Section", "Text"));
}

TEST_F(RegistryTest, AValueTheRegistryCannotTakeFailsTheSave)
{
    // A name no registry value can take: the write says it failed, and a
    // block the same exchange stores under a sound name is written whole.
    CXTPPropExchangeRegistry px(FALSE, m_hKey, "Section");
    const CString strName('n', 20000);
    long l = 5;
    EXPECT_FALSE(PropExchangeLong(&px, strName, l));
    BYTE data[3] = {1, 2, 3};
    BYTE* pData = data;
    DWORD nBytes = 3;
    EXPECT_TRUE(px.ExchangeBlob("Block", pData, nBytes));
}

TEST(Enumerator, VisitsNumberedSectionsThenEnds)
{
    CMemFile file;
    std::vector<CString> names;
    ArchiveRoundTrip(
        [&](CXTPPropExchange* px) {
            CXTPPropExchangeEnumeratorPtr pEnum(px->CreateEnumerator("Bar"));
            POSITION pos = pEnum->GetPosition(3, FALSE);
            while (pos)
            {
                CXTPPropExchangeSection sec(pEnum->GetNext(pos));
                long l = 9;
                PropExchangeLong(sec, "V", l);
            }
            EXPECT_EQ(nullptr, pos);
        },
        [&](CXTPPropExchange* px) {
            CXTPPropExchangeEnumeratorPtr pEnum(px->CreateEnumerator("Bar"));
            POSITION pos = pEnum->GetPosition(0, FALSE);
            int n = 0;
            while (pos)
            {
                CXTPPropExchangeSection sec(pEnum->GetNext(pos));
                long l = 0;
                PropExchangeLong(sec, "V", l);
                EXPECT_EQ(9, l);
                n++;
            }
            EXPECT_EQ(3, n);
        },
        file);
    EXPECT_EQ(16u, (UINT)file.GetLength());
}

TEST_F(IniTest, AnUnknownClassNameGivesNoClassAndNoObject)
{
    ::WritePrivateProfileStringA("Section", "Class", "CNoSuchClassAnywhere", m_strFile);
    CXTPPropExchangeSection px(Open(TRUE));
    CRuntimeClass* pClass = RUNTIME_CLASS(CSerialThing);
    EXPECT_FALSE(px->ExchangeClass("Class", pClass, RUNTIME_CLASS(CObject)));
    EXPECT_EQ(nullptr, pClass);
    CObject* pObject = NULL;
    EXPECT_FALSE(px->ExchangeObjectByClass(pObject, RUNTIME_CLASS(CSerialThing)));
    EXPECT_EQ(nullptr, pObject);
}

TEST(ArchiveStore, ObjectsExchangedByClassJoinTheArchivesObjectMap)
{
    // Bars and controls are stored by class and referred to afterwards.
    CSerialThing first, second;
    first.m_n = 1;
    second.m_n = 2;
    CMemFile file;
    CObject* pLoadedFirst = NULL;
    CObject* pLoadedSecond = NULL;
    CObject* pReference = NULL;
    ArchiveRoundTrip(
        [&](CXTPPropExchange* px) {
            CObject* pObject = &first;
            EXPECT_TRUE(px->ExchangeObjectByClass(pObject, RUNTIME_CLASS(CObject)));
            PropExchangeSerialize(px, "Data", &first);
            pObject = &second;
            EXPECT_TRUE(px->ExchangeObjectByClass(pObject, RUNTIME_CLASS(CObject)));
            PropExchangeSerialize(px, "Data", &second);
            CArchive* pArchive = px->OpenBlobArchive("Ref");
            *pArchive << (CObject*)&first;
            px->CloseBlobArchive("Ref", pArchive);
        },
        [&](CXTPPropExchange* px) {
            EXPECT_TRUE(px->ExchangeObjectByClass(pLoadedFirst, RUNTIME_CLASS(CObject)));
            ASSERT_NE(nullptr, pLoadedFirst);
            PropExchangeSerialize(px, "Data", pLoadedFirst);
            EXPECT_TRUE(px->ExchangeObjectByClass(pLoadedSecond, RUNTIME_CLASS(CObject)));
            ASSERT_NE(nullptr, pLoadedSecond);
            PropExchangeSerialize(px, "Data", pLoadedSecond);
            CArchive* pArchive = px->OpenBlobArchive("Ref");
            *pArchive >> pReference;
            px->CloseBlobArchive("Ref", pArchive);
        },
        file);
    ASSERT_TRUE(pLoadedFirst != NULL && pLoadedSecond != NULL);
    EXPECT_TRUE(pLoadedFirst->IsKindOf(RUNTIME_CLASS(CSerialThing)));
    EXPECT_EQ(1, static_cast<CSerialThing*>(pLoadedFirst)->m_n);
    EXPECT_EQ(2, static_cast<CSerialThing*>(pLoadedSecond)->m_n);
    EXPECT_EQ(pLoadedFirst, pReference) << "a reference to a stored object is that object";
    delete pLoadedFirst;
    delete pLoadedSecond;

    // The second object's class is a two-byte reference to the first's.
    const UINT nLength = (UINT)file.GetLength();
    BYTE* pBytes = file.Detach();
    const char szName[] = "CSerialThing";
    const UINT nName = sizeof(szName) - 1;
    int nNames = 0;
    for (UINT i = 0; i + nName <= nLength; i++)
        nNames += memcmp(pBytes + i, szName, nName) == 0 ? 1 : 0;
    free(pBytes);
    EXPECT_EQ(1, nNames);
}

TEST(ArchiveStore, AnUnknownClassInTheArchiveIsABadClass)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        const char szName[] = "CNoSuchClassAnywhere";
        ar << (WORD)0xFFFF << (WORD)1 << (WORD)(sizeof(szName) - 1);
        ar.Write(szName, sizeof(szName) - 1);
        ar.Close();
    }
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    CXTPPropExchangeArchive px(ar);
    CRuntimeClass* pClass = NULL;
    int nCause = -1;
    try
    {
        px.ExchangeClass("Class", pClass, RUNTIME_CLASS(CObject));
    }
    catch (CArchiveException* e)
    {
        nCause = e->m_cause;
        e->Delete();
    }
    EXPECT_EQ(CArchiveException::badClass, nCause);
    EXPECT_EQ(nullptr, pClass);
    ar.Abort();
}
