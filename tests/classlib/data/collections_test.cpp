// Collections: array growth and bounds, list positions and node reuse, map
// iteration under removal, typed pointer wrappers.
#include <afx.h>
#include <afxtempl.h>

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

template <class EXC, class F>
bool Throws(F f)
{
    try
    {
        f();
    }
    catch (EXC* e)
    {
        e->Delete();
        return true;
    }
    catch (CException* e)
    {
        e->Delete();
    }
    return false;
}

TEST(Arrays, InsertAtPastTheEndGrowsWithZeros)
{
    CArray<int, int> a;
    a.InsertAt(5, 9);
    ASSERT_EQ(6, a.GetSize());
    for (int i = 0; i < 5; i++)
        EXPECT_EQ(0, a[i]);
    EXPECT_EQ(9, a[5]);

    CPtrArray p;
    p.InsertAt(3, &p, 2);
    ASSERT_EQ(5, p.GetSize());
    EXPECT_EQ(nullptr, p[0]);
    EXPECT_EQ(nullptr, p[2]);
    EXPECT_EQ(&p, p[4]);

    CStringArray s;
    s.Add("first");
    s.InsertAt(3, CString("x"));
    ASSERT_EQ(4, s.GetSize());
    EXPECT_TRUE(s[1].IsEmpty());
    EXPECT_TRUE(s[2].IsEmpty());
    EXPECT_STREQ("x", s[3]);

    s.InsertAt(1, CString("mid"), 2);
    EXPECT_EQ(6, s.GetSize());
    EXPECT_STREQ("first", s[0]);
    EXPECT_STREQ("mid", s[1]);
    EXPECT_STREQ("mid", s[2]);
    EXPECT_STREQ("x", s[5]);
}

TEST(Arrays, OutOfRangeAccessThrowsInvalidArg)
{
    CDWordArray a;
    a.Add(1);
    a.Add(2);
    EXPECT_TRUE(Throws<CInvalidArgException>([&] { (void)a[2]; }));
    EXPECT_TRUE(Throws<CInvalidArgException>([&] { (void)a.GetAt(-1); }));
    EXPECT_TRUE(Throws<CInvalidArgException>([&] { a.SetAt(5, 1); }));
    EXPECT_TRUE(Throws<CInvalidArgException>([&] { a.ElementAt(2) = 0; }));
    EXPECT_TRUE(Throws<CInvalidArgException>([&] { a.RemoveAt(2); }));
    EXPECT_TRUE(Throws<CInvalidArgException>([&] { a.RemoveAt(1, 2); }));
    EXPECT_TRUE(Throws<CInvalidArgException>([&] { a.RemoveAt(-1); }));
    EXPECT_TRUE(Throws<CInvalidArgException>([&] { a.InsertAt(-1, (DWORD)0); }));
    EXPECT_TRUE(Throws<CInvalidArgException>([&] { a.SetSize(-1); }));
    EXPECT_EQ(2, a.GetSize());
    EXPECT_EQ(1u, a[0]);
    EXPECT_EQ(2u, a[1]);
}

TEST(Arrays, SizeCopyAppendRemove)
{
    CArray<CString, const CString&> a;
    a.SetSize(3, 10);
    EXPECT_EQ(2, a.GetUpperBound());
    a[0] = "a";
    a[1] = "b";
    a[2] = "c";
    EXPECT_EQ(3, a.Append(a));   // appending to itself
    ASSERT_EQ(6, a.GetSize());
    EXPECT_STREQ("c", a[5]);
    a.RemoveAt(1, 3);
    ASSERT_EQ(3, a.GetSize());
    EXPECT_STREQ("a", a[0]);
    EXPECT_STREQ("b", a[1]);
    EXPECT_STREQ("c", a[2]);

    CArray<CString, const CString&> b;
    b.Copy(a);
    a.RemoveAll();
    EXPECT_EQ(0, a.GetSize());
    EXPECT_STREQ("b", b[1]);
    b.FreeExtra();
    EXPECT_EQ(3, b.GetCount());
    b.SetAtGrow(4, "e");
    EXPECT_EQ(5, b.GetSize());
    EXPECT_TRUE(b[3].IsEmpty());

    CArray<CString, const CString&> c;
    c.Add("x");
    c.Add("y");
    c.InsertAt(1, &b);
    ASSERT_EQ(7, c.GetSize());
    EXPECT_STREQ("x", c[0]);
    EXPECT_STREQ("a", c[1]);
    EXPECT_STREQ("y", c[6]);
}

TEST(Arrays, AddingAnElementOfTheSameArraySurvivesGrowth)
{
    CArray<CString, const CString&> a;
    a.Add("keep me");
    for (int i = 0; i < 200; i++)
        a.Add(a[0]);   // the argument refers into the array being grown
    for (int i = 0; i < a.GetSize(); i++)
        ASSERT_STREQ("keep me", a[i]);
    a.InsertAt(0, a[5], 3);
    EXPECT_EQ(204, a.GetSize());
    EXPECT_STREQ("keep me", a[0]);
    EXPECT_STREQ("keep me", a[2]);
}

struct CAssignOnly : public CObject
{
    CAssignOnly() : value(0) {}
    CAssignOnly& operator=(const CAssignOnly& o)
    {
        value = o.value;
        text = o.text;
        return *this;
    }
    int value;
    CString text;
};

TEST(Arrays, ElementsWithOnlyAssignmentKeepTheirValues)
{
    CArray<CAssignOnly, CAssignOnly&> a;
    for (int i = 0; i < 50; i++)
    {
        CAssignOnly item;
        item.value = i;
        item.text.Format("item %d", i);
        a.Add(item);
    }
    a.RemoveAt(0, 10);
    ASSERT_EQ(40, a.GetSize());
    EXPECT_EQ(10, a[0].value);
    EXPECT_STREQ("item 49", a[39].text);
}

TEST(Lists, PositionsStayValidWhileOtherNodesChange)
{
    CList<int, int> list;
    POSITION posA = list.AddTail(1);
    POSITION posB = list.AddTail(2);
    POSITION posC = list.AddTail(3);
    for (int i = 0; i < 100; i++)
        list.AddTail(100 + i);   // new blocks must not move old nodes
    list.RemoveAt(posB);
    list.AddHead(0);
    list.InsertAfter(posA, 15);
    EXPECT_EQ(1, list.GetAt(posA));
    EXPECT_EQ(3, list.GetAt(posC));
    POSITION pos = posA;
    list.GetNext(pos);
    EXPECT_EQ(15, list.GetAt(pos));
    list.GetNext(pos);
    EXPECT_EQ(posC, pos);
    EXPECT_EQ(0, list.GetHead());
    EXPECT_EQ(199, list.GetTail());
    EXPECT_EQ(104, list.GetCount());
}

TEST(Lists, FreedNodesAreReusedNewestFirst)
{
    CStringList list;
    list.AddTail("a");
    POSITION posB = list.AddTail("b");
    list.AddTail("c");
    list.RemoveAt(posB);
    POSITION posNew = list.AddTail("d");
    EXPECT_EQ(posB, posNew);   // the freed node comes back
    EXPECT_STREQ("d", list.GetAt(posB));

    // Emptying the list releases its blocks; it starts over cleanly.
    list.RemoveAll();
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(nullptr, list.GetHeadPosition());
    list.AddHead("again");
    EXPECT_STREQ("again", list.GetHead());
}

TEST(Lists, WalkFindAndRemoveEnds)
{
    CList<CString, const CString&> list;
    for (const char* p : { "w", "x", "y", "z" })
        list.AddTail(CString(p));
    EXPECT_EQ(list.FindIndex(2), list.Find("y"));
    EXPECT_EQ(nullptr, list.Find("q"));
    EXPECT_EQ(nullptr, list.Find("w", list.GetHeadPosition()));
    EXPECT_EQ(nullptr, list.FindIndex(4));
    EXPECT_EQ(nullptr, list.FindIndex(-1));
    std::string back;
    for (POSITION pos = list.GetTailPosition(); pos != NULL;)
        back += (LPCTSTR)list.GetPrev(pos);
    EXPECT_EQ("zyxw", back);
    EXPECT_STREQ("w", list.RemoveHead());
    EXPECT_STREQ("z", list.RemoveTail());
    list.InsertBefore(list.GetHeadPosition(), "v");
    EXPECT_STREQ("v", list.GetHead());
    CList<CString, const CString&> other;
    other.AddTail(&list);
    other.AddHead(&list);
    EXPECT_EQ(6, other.GetCount());
    list.RemoveAll();
    EXPECT_TRUE(Throws<CInvalidArgException>([&] { (void)list.GetHead(); }));
    EXPECT_TRUE(Throws<CInvalidArgException>([&] { list.RemoveTail(); }));
    EXPECT_TRUE(Throws<CInvalidArgException>([&] { list.RemoveAt(NULL); }));
}

TEST(Maps, IterationStaysCorrectWhileRemovingReturnedEntries)
{
    CMap<int, int, int, int> map;
    map.InitHashTable(17);
    for (int i = 0; i < 200; i++)
        map[i] = i * 10;
    EXPECT_EQ(200, map.GetCount());

    std::set<int> seen;
    POSITION pos = map.GetStartPosition();
    while (pos != NULL)
    {
        int key, value;
        map.GetNextAssoc(pos, key, value);
        EXPECT_EQ(key * 10, value);
        seen.insert(key);
        if (key % 2 == 0)
        {
            EXPECT_TRUE(map.RemoveKey(key));
        }
    }
    EXPECT_EQ(200u, seen.size());
    EXPECT_EQ(100, map.GetCount());

    // Removing everything while walking ends cleanly and empties the map.
    pos = map.GetStartPosition();
    int nWalked = 0;
    while (pos != NULL)
    {
        int key, value;
        map.GetNextAssoc(pos, key, value);
        map.RemoveKey(key);
        nWalked++;
    }
    EXPECT_EQ(100, nWalked);
    EXPECT_TRUE(map.IsEmpty());
    EXPECT_EQ(nullptr, map.GetStartPosition());
}

TEST(Maps, LookupSetRemoveAndStringKeys)
{
    CMapStringToPtr map;
    map.InitHashTable(127);
    int a = 1, b = 2;
    map.SetAt("alpha", &a);
    map["beta"] = &b;
    void* p = NULL;
    EXPECT_TRUE(map.Lookup("alpha", p));
    EXPECT_EQ(&a, p);
    EXPECT_FALSE(map.Lookup("Alpha", p));   // keys are case-sensitive
    EXPECT_FALSE(map.RemoveKey("gamma"));
    EXPECT_TRUE(map.RemoveKey("alpha"));
    EXPECT_FALSE(map.Lookup("alpha", p));
    EXPECT_EQ(1, map.GetCount());
    LPCTSTR pszKey = NULL;
    EXPECT_TRUE(map.LookupKey("beta", pszKey));
    EXPECT_STREQ("beta", pszKey);
    EXPECT_NE(nullptr, map.PLookup("beta"));
    EXPECT_EQ(nullptr, map.PLookup("alpha"));

    CMapStringToString strings;
    strings["k"] = "v";
    strings.SetAt("k", "w");
    CString val;
    EXPECT_TRUE(strings.Lookup("k", val));
    EXPECT_STREQ("w", val);
    EXPECT_EQ(1, strings.GetCount());
}

TEST(Maps, InitHashTableWithEntriesKeepsThem)
{
    CMapPtrToPtr map;
    int items[50];
    for (int i = 0; i < 50; i++)
        map.SetAt(&items[i], &items[49 - i]);
    map.InitHashTable(199);
    EXPECT_EQ(199u, map.GetHashTableSize());
    ASSERT_EQ(50, map.GetCount());
    for (int i = 0; i < 50; i++)
    {
        void* p = NULL;
        ASSERT_TRUE(map.Lookup(&items[i], p));
        EXPECT_EQ(&items[49 - i], p);
    }
    int nPairs = 0;
    for (const CMapPtrToPtr::CPair* pPair = map.PGetFirstAssoc(); pPair != NULL; pPair = map.PGetNextAssoc(pPair))
        nPairs++;
    EXPECT_EQ(50, nPairs);
}

class CItemTest : public CObject
{
public:
    explicit CItemTest(int n = 0) : m_n(n) {}
    int m_n;
};

TEST(TypedPointers, ArrayListAndMapWrappers)
{
    CItemTest one(1), two(2);
    CTypedPtrArray<CObArray, CItemTest*> arr;
    arr.Add(&one);
    arr.InsertAt(0, &two);
    EXPECT_EQ(2, arr[0]->m_n);
    EXPECT_EQ(&one, arr.GetAt(1));

    CTypedPtrList<CPtrList, CItemTest*> list;
    POSITION pos = list.AddTail(&one);
    list.AddHead(&two);
    EXPECT_EQ(1, list.GetAt(pos)->m_n);
    EXPECT_EQ(2, list.GetHead()->m_n);
    EXPECT_EQ(pos, list.Find(&one));

    CTypedPtrMap<CMapStringToPtr, CString, CItemTest*> map;
    map.SetAt("one", &one);
    map["two"] = &two;
    CItemTest* pFound = NULL;
    EXPECT_TRUE(map.Lookup("two", pFound));
    EXPECT_EQ(&two, pFound);
    int nSum = 0;
    for (POSITION p = map.GetStartPosition(); p != NULL;)
    {
        CString key;
        CItemTest* pItem;
        map.GetNextAssoc(p, key, pItem);
        nSum += pItem->m_n;
    }
    EXPECT_EQ(3, nSum);
}

} // namespace
