// The keyed list and its items, and the string item as the program exports
// it.
#include <gtest/gtest.h>

#include "FennList.h"
#include "FennListCtrl.h"
#include "support/loaded_program.h"

TEST(FennList, FindsByIntOrStringKeyInIndexOrder)
{
    CFennList<CFennCString> list;
    ASSERT_TRUE(list.Add(CFennCString("Easy")));
    ASSERT_TRUE(list.Add(CFennCString("easy")));
    ASSERT_TRUE(list.Add(CFennCString("Easy")));
    EXPECT_EQ(3, list.GetCount());

    const BYTE bString = FENN_KEY_STRING, bInt = FENN_KEY_INT, bOther = 7;
    const CString strKey = "easy";
    const int nZero = 0;
    EXPECT_EQ(list.GetAt(1), list.FindByKey(&bString, &nZero, &strKey));   // case counts
    EXPECT_EQ(list.GetAt(0), list.FindByKey(&bInt, &nZero, &strKey));      // every int key is 0
    EXPECT_EQ(nullptr, list.FindByKey(&bOther, &nZero, &strKey));
    EXPECT_THROW(list.GetAt(3), CException*);

    EXPECT_FALSE(CFennCString("Easy") == CFennCString("easy"));
    EXPECT_TRUE(CFennCString("Easy") != CFennCString("easy"));
}

TEST(FennList, ColumnRecordsAreFoundByIdAndTheirEmptyStringKeysAllMatch)
{
    CFennList<CListCtrlColumnInfo> list;
    list.Add(CListCtrlColumnInfo(5, 1, 60, "Name"));
    list.Add(CListCtrlColumnInfo(9, 0, 35, "ID"));
    const int nNine = 9, nMissing = 4;
    ASSERT_NE(nullptr, list.FindByIntKey(&nNine));
    EXPECT_STREQ("ID", list.FindByIntKey(&nNine)->m_strHeading);
    EXPECT_EQ(nullptr, list.FindByIntKey(&nMissing));
    const BYTE bString = FENN_KEY_STRING;
    const CString strEmpty;
    EXPECT_EQ(list.GetAt(0), list.FindByKey(&bString, &nMissing, &strEmpty));

    // RemoveAll starts the list and its walk again.
    list.m_nCursor = 2;
    list.RemoveAll();
    EXPECT_EQ(0, list.GetCount());
    EXPECT_EQ(0, list.m_nCursor);
    list.Add(CListCtrlColumnInfo(1, 0, 10, "A"));
    EXPECT_EQ(1, list.GetCount());
    EXPECT_EQ(1, list.GetAt(0)->m_nColumnID);
}

// The program exports the string item class: a module that loads
// Brindlemark.exe finds its constructors, destructor, assignments,
// comparisons, key accessors and virtual table by their decorated names,
// and they work on objects it keeps itself, empty strings included.
namespace
{
#if defined(__i386__)
#define FENN_THISCALL __attribute__((thiscall))
#else
#define FENN_THISCALL
#endif

typedef void(FENN_THISCALL* FnCtorDefault)(void* pThis);
typedef void(FENN_THISCALL* FnCtorCopy)(void* pThis, const void* pOther);
typedef void(FENN_THISCALL* FnCtorText)(void* pThis, const char* pszText);
typedef void(FENN_THISCALL* FnCtorString)(void* pThis, const CString* pText);
typedef void(FENN_THISCALL* FnDtor)(void* pThis);
typedef void*(FENN_THISCALL* FnAssign)(void* pThis, const void* pOther);
typedef void*(FENN_THISCALL* FnAssignString)(void* pThis, const CString* pText);
typedef bool(FENN_THISCALL* FnCompare)(const void* pThis, const void* pOther);
typedef CString(FENN_THISCALL* FnKeyString)(const void* pThis);
typedef int(FENN_THISCALL* FnKeyInt)(const void* pThis);

std::string ProgramPath()
{
    char szPath[MAX_PATH];
    ::GetModuleFileNameA(NULL, szPath, MAX_PATH);
    std::string strPath(szPath);
    for (int i = 0; i < 3; i++)
        strPath = strPath.substr(0, strPath.find_last_of('\\'));
    return strPath + "\\app\\Brindlemark.exe";
}

// An object of the exported class in storage of the importer: its virtual
// table pointer and its text.
struct ImportedItem
{
    void* pVtable;
    CString strText;   // the exported code constructs and destroys it
};

// The program loaded as a module, its exports looked up by name.
class Exports : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_hProgram = ::LoadLibraryA(ProgramPath().c_str());
        ASSERT_TRUE(m_hProgram != NULL) << ProgramPath() << ": error " << ::GetLastError();
        std::string strError;
        ASSERT_TRUE(testsupport::CompleteProgramLoading(m_hProgram, strError)) << strError;
    }
    void TearDown() override
    {
        if (m_hProgram != NULL)
            ::FreeLibrary(m_hProgram);
    }
    template <class F>
    F Find(const char* pszName)
    {
        FARPROC pfn = ::GetProcAddress(m_hProgram, pszName);
        EXPECT_TRUE(pfn != NULL) << "not exported: " << pszName;
        return reinterpret_cast<F>(pfn);
    }
    static const char* Text(const void* pItem)
    {
        return (LPCTSTR) static_cast<const ImportedItem*>(pItem)->strText;
    }

    HMODULE m_hProgram = NULL;
};
} // namespace

TEST_F(Exports, EveryMemberOfTheStringItemIsExportedByName)
{
    const char* const names[] = {
        "_ZN12CFennCStringC1Ev",         "_ZN12CFennCStringC2Ev",
        "_ZN12CFennCStringC1ERKS_",      "_ZN12CFennCStringC2ERKS_",
        "_ZN12CFennCStringC1EPKc",       "_ZN12CFennCStringC2EPKc",
        "_ZN12CFennCStringC1ERK7CString", "_ZN12CFennCStringC2ERK7CString",
        "_ZN12CFennCStringD0Ev",         "_ZN12CFennCStringD1Ev",
        "_ZN12CFennCStringD2Ev",         "_ZN12CFennCStringaSERKS_",
        "_ZN12CFennCStringaSERK7CString", "_ZNK12CFennCStringeqERKS_",
        "_ZNK12CFennCStringneERKS_",     "_ZNK12CFennCString17GetKeyFieldStringEv",
        "_ZNK12CFennCString14GetKeyFieldIntEv", "_ZTV12CFennCString",
        "_ZTI12CFennCString",
    };
    for (const char* pszName : names)
        EXPECT_TRUE(::GetProcAddress(m_hProgram, pszName) != NULL) << pszName;
}

TEST_F(Exports, TheImportedStringItemIsMadeComparedAndDestroyed)
{
    FnCtorDefault pfnDefault = Find<FnCtorDefault>("_ZN12CFennCStringC1Ev");
    FnCtorCopy pfnCopy = Find<FnCtorCopy>("_ZN12CFennCStringC1ERKS_");
    FnCtorText pfnText = Find<FnCtorText>("_ZN12CFennCStringC1EPKc");
    FnCtorString pfnString = Find<FnCtorString>("_ZN12CFennCStringC1ERK7CString");
    FnDtor pfnDtor = Find<FnDtor>("_ZN12CFennCStringD1Ev");
    FnAssign pfnAssign = Find<FnAssign>("_ZN12CFennCStringaSERKS_");
    FnAssignString pfnAssignString = Find<FnAssignString>("_ZN12CFennCStringaSERK7CString");
    FnCompare pfnEqual = Find<FnCompare>("_ZNK12CFennCStringeqERKS_");
    FnCompare pfnNotEqual = Find<FnCompare>("_ZNK12CFennCStringneERKS_");
    FnKeyString pfnKeyString = Find<FnKeyString>("_ZNK12CFennCString17GetKeyFieldStringEv");
    FnKeyInt pfnKeyInt = Find<FnKeyInt>("_ZNK12CFennCString14GetKeyFieldIntEv");
    void** pVtable = Find<void**>("_ZTV12CFennCString");
    ASSERT_FALSE(HasFailure());

    // Made from a C string, from the importer's CString (empty too), by
    // copy and empty.
    alignas(ImportedItem) unsigned char easy[sizeof(ImportedItem)], lower[sizeof(ImportedItem)],
        copy[sizeof(ImportedItem)], empty[sizeof(ImportedItem)], fromEmpty[sizeof(ImportedItem)];
    pfnText(easy, "Easy");
    const CString strLower("easy"), strNone;
    pfnString(lower, &strLower);
    pfnCopy(copy, easy);
    pfnDefault(empty);
    pfnString(fromEmpty, &strNone);
    EXPECT_STREQ("Easy", Text(easy));
    EXPECT_STREQ("easy", Text(lower));
    EXPECT_STREQ("Easy", Text(copy));
    EXPECT_STREQ("", Text(empty));
    EXPECT_STREQ("", Text(fromEmpty));
    // Each object's table is the exported one: the slots follow the offset
    // to the top and the type information.
    EXPECT_EQ((void*)(pVtable + 2), reinterpret_cast<ImportedItem*>(easy)->pVtable);

    // Case-sensitive comparisons.
    EXPECT_TRUE(pfnEqual(easy, copy));
    EXPECT_FALSE(pfnNotEqual(easy, copy));
    EXPECT_FALSE(pfnEqual(easy, lower));
    EXPECT_TRUE(pfnNotEqual(easy, lower));
    EXPECT_TRUE(pfnEqual(empty, fromEmpty));

    // The keys: the text, and always 0; an empty key handed to the
    // importer, which destroys it.
    {
        CString strKey = pfnKeyString(lower);
        EXPECT_STREQ("easy", strKey);
        CString strEmptyKey = pfnKeyString(empty);
        EXPECT_TRUE(strEmptyKey.IsEmpty());
        strEmptyKey += "grows";
        EXPECT_STREQ("grows", strEmptyKey);
    }
    EXPECT_EQ(0, pfnKeyInt(easy));

    // Assignments, each returning the object; an empty string assigned
    // over a text, and a text over an empty object.
    EXPECT_EQ((void*)empty, pfnAssign(empty, lower));
    EXPECT_STREQ("easy", Text(empty));
    EXPECT_EQ((void*)copy, pfnAssignString(copy, &strNone));
    EXPECT_STREQ("", Text(copy));
    const CString strHard("Hard");
    pfnAssignString(fromEmpty, &strHard);
    EXPECT_STREQ("Hard", Text(fromEmpty));

    // The virtual destructor through the table ends one; the exported
    // destructor the others.
    typedef void(FENN_THISCALL * FnVirtualDtor)(void* pThis);
    FnVirtualDtor pfnVirtualDtor = reinterpret_cast<FnVirtualDtor>(pVtable[2]);
    EXPECT_EQ(reinterpret_cast<void*>(pfnDtor), reinterpret_cast<void*>(pfnVirtualDtor))
        << "the table's first slot is the complete-object destructor";
    pfnVirtualDtor(easy);
    pfnDtor(lower);
    pfnDtor(copy);
    pfnDtor(empty);
    pfnDtor(fromEmpty);
}
