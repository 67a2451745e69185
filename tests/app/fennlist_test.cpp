// The keyed list and its items.
#include <gtest/gtest.h>

#include "FennList.h"
#include "FennListCtrl.h"

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
