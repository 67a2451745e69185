// CArchive: round trips of every type, the exact length-prefix and class
// layouts, object graphs, schemas, and broken archives that must throw
// (never crash, never allocate for a length the file cannot hold).
#include <afx.h>
#include <afxtempl.h>

#include <gtest/gtest.h>

#include "support/memory.h"

#include <random>
#include <vector>

namespace {

class CNodeTest : public CObject
{
    DECLARE_SERIAL(CNodeTest)
public:
    CNodeTest() : m_nValue(0), m_pOther(NULL) {}
    virtual void Serialize(CArchive& ar)
    {
        if (ar.IsStoring())
            ar << m_strName << m_nValue << m_pOther;
        else
            ar >> m_strName >> m_nValue >> m_pOther;
    }
    CString m_strName;
    LONG m_nValue;
    CNodeTest* m_pOther;
};
IMPLEMENT_SERIAL(CNodeTest, CObject, 2)

class COtherTest : public CObject
{
    DECLARE_SERIAL(COtherTest)
};
IMPLEMENT_SERIAL(COtherTest, CObject, 1)

// Accepts older schemas and reads them itself.
class CVersionedTest : public CObject
{
    DECLARE_SERIAL(CVersionedTest)
public:
    virtual void Serialize(CArchive& ar)
    {
        if (ar.IsStoring())
            ar << m_nValue;
        else
        {
            m_nSchemaSeen = ar.GetObjectSchema();
            ar >> m_nValue;
        }
    }
    LONG m_nValue = 0;
    UINT m_nSchemaSeen = 0;
};
IMPLEMENT_SERIAL(CVersionedTest, CObject, VERSIONABLE_SCHEMA | 5)

// A memory file to write, then the same bytes to read.
struct Bytes
{
    std::vector<BYTE> data;
};

template <class F>
Bytes Store(F write)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        write(ar);
        ar.Close();
    }
    Bytes b;
    b.data.resize((size_t)file.GetLength());
    file.SeekToBegin();
    if (!b.data.empty())
        file.Read(&b.data[0], (UINT)b.data.size());
    return b;
}

// Loads from a copy of the bytes; returns the exception cause, or -1.
template <class F>
int Load(const Bytes& b, F read)
{
    std::vector<BYTE> copy(b.data);
    CMemFile file(copy.empty() ? NULL : &copy[0], (UINT)copy.size());
    CArchive ar(&file, CArchive::load);
    try
    {
        read(ar);
    }
    catch (CArchiveException* e)
    {
        int nCause = e->m_cause;
        e->Delete();
        return nCause;
    }
    return -1;
}

TEST(ArchiveRoundTrip, EveryFixedSizeType)
{
    Bytes b = Store([](CArchive& ar) {
        ar << (BYTE)0xAB << (WORD)0xBEEF << (LONG)-123456 << (DWORD)0xDEADBEEF << (int)-7 << (UINT)9u
           << (short)-2 << 'c' << true << 1.5f << -2.25 << (LONGLONG)-1234567890123LL
           << (ULONGLONG)0xFEDCBA9876543210ULL << L'w';
    });
    EXPECT_EQ(1u + 2 + 4 + 4 + 4 + 4 + 2 + 1 + 1 + 4 + 8 + 8 + 8 + 2, b.data.size());
    EXPECT_EQ(-1, Load(b, [](CArchive& ar) {
        BYTE by;
        WORD w;
        LONG l;
        DWORD dw;
        int i;
        UINT u;
        short sh;
        char ch;
        bool f;
        float fl;
        double d;
        LONGLONG ll;
        ULONGLONG ull;
        wchar_t wc;
        ar >> by >> w >> l >> dw >> i >> u >> sh >> ch >> f >> fl >> d >> ll >> ull >> wc;
        EXPECT_EQ(0xAB, by);
        EXPECT_EQ(0xBEEF, w);
        EXPECT_EQ(-123456, l);
        EXPECT_EQ(0xDEADBEEFu, dw);
        EXPECT_EQ(-7, i);
        EXPECT_EQ(9u, u);
        EXPECT_EQ(-2, sh);
        EXPECT_EQ('c', ch);
        EXPECT_TRUE(f);
        EXPECT_EQ(1.5f, fl);
        EXPECT_EQ(-2.25, d);
        EXPECT_EQ(-1234567890123LL, ll);
        EXPECT_EQ(0xFEDCBA9876543210ULL, ull);
        EXPECT_EQ(L'w', wc);
        EXPECT_TRUE(ar.IsBufferEmpty());
    }));
}

TEST(ArchiveRoundTrip, ValueTypes)
{
    COleDateTime date(2020, 5, 6, 7, 8, 9);
    COleDateTime nullDate;
    nullDate.SetStatus(COleDateTime::null);
    Bytes b = Store([&](CArchive& ar) {
        ar << CSize(3, -4) << CPoint(5, 6) << CRect(10, 20, 110, 220);
        ar << CTime(2011, 1, 2, 3, 4, 5) << CTimeSpan(100);
        ar << date << nullDate << COleDateTimeSpan(1.5);
        ar << COleVariant(7L) << COleVariant("variant") << COleVariant(2.5) << COleVariant(true) << COleVariant();
        ar << "literal";
    });
    EXPECT_EQ(-1, Load(b, [&](CArchive& ar) {
        CSize sz;
        CPoint pt;
        CRect rc;
        CTime t;
        CTimeSpan ts;
        COleDateTime d1, d2;
        COleDateTimeSpan span;
        COleVariant v1, v2, v3, v4, v5;
        CString lit;
        ar >> sz >> pt >> rc >> t >> ts >> d1 >> d2 >> span >> v1 >> v2 >> v3 >> v4 >> v5 >> lit;
        EXPECT_EQ(CSize(3, -4), sz);
        EXPECT_EQ(CPoint(5, 6), pt);
        EXPECT_EQ(CRect(10, 20, 110, 220), rc);
        EXPECT_TRUE(t == CTime(2011, 1, 2, 3, 4, 5));
        EXPECT_EQ(100, ts.GetTotalSeconds());
        EXPECT_TRUE(d1 == date);
        EXPECT_EQ(COleDateTime::null, d2.GetStatus());
        EXPECT_DOUBLE_EQ(1.5, span.m_span);
        EXPECT_TRUE(v1 == COleVariant(7L));
        EXPECT_TRUE(v2 == COleVariant("variant"));
        EXPECT_TRUE(v3 == COleVariant(2.5));
        EXPECT_TRUE(v4 == COleVariant(true));
        EXPECT_EQ(VT_EMPTY, v5.vt);
        EXPECT_STREQ("literal", lit);
    }));
}

TEST(ArchiveLayout, DateTimeIsStatusThenValue)
{
    COleDateTime date(1899, 12, 31, 0, 0, 0);
    Bytes b = Store([&](CArchive& ar) { ar << date; });
    ASSERT_EQ(12u, b.data.size());
    LONG lStatus;
    double dt;
    memcpy(&lStatus, &b.data[0], 4);
    memcpy(&dt, &b.data[4], 8);
    EXPECT_EQ(0, lStatus);
    EXPECT_DOUBLE_EQ(1.0, dt);
}

struct PrefixCase
{
    int nLength;
    std::vector<BYTE> prefix;
};

TEST(ArchiveLayout, StringLengthPrefixesAroundTheBoundaries)
{
    const PrefixCase cases[] = {
        { 0, { 0x00 } },
        { 254, { 0xFE } },
        { 255, { 0xFF, 0xFF, 0x00 } },
        { 0xFFFD, { 0xFF, 0xFD, 0xFF } },
        { 0xFFFE, { 0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00 } },
        { 0xFFFF, { 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00 } },
        { 0x10000, { 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x01, 0x00 } },
    };
    for (const PrefixCase& c : cases)
    {
        CString s('x', c.nLength);
        if (c.nLength > 0)
            s.SetAt(c.nLength - 1, 'y');
        Bytes b = Store([&](CArchive& ar) { ar << s; });
        ASSERT_EQ(c.prefix.size() + c.nLength, b.data.size()) << c.nLength;
        EXPECT_TRUE(std::equal(c.prefix.begin(), c.prefix.end(), b.data.begin())) << c.nLength;
        EXPECT_EQ(-1, Load(b, [&](CArchive& ar) {
            CString r;
            ar >> r;
            EXPECT_EQ(c.nLength, r.GetLength());
            EXPECT_TRUE(r == s);
        }));
    }
}

TEST(ArchiveLayout, CountsAndWideStrings)
{
    Bytes b = Store([](CArchive& ar) {
        ar.WriteCount(0);
        ar.WriteCount(0xFFFE);
        ar.WriteCount(0xFFFF);
        ar.WriteCount(0x12345678);
        // A length marked as wide characters (0xFF 0xFFFE, then the length).
        AfxWriteStringLength(ar, 2, TRUE);
        ar << (WORD)L'h' << (WORD)L'i';
    });
    const BYTE expected[] = { 0x00, 0x00, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00,
                              0xFF, 0xFF, 0x78, 0x56, 0x34, 0x12 };
    ASSERT_GE(b.data.size(), sizeof(expected));
    EXPECT_EQ(0, memcmp(expected, &b.data[0], sizeof(expected)));
    EXPECT_EQ(-1, Load(b, [](CArchive& ar) {
        EXPECT_EQ(0u, ar.ReadCount());
        EXPECT_EQ(0xFFFEu, ar.ReadCount());
        EXPECT_EQ(0xFFFFu, ar.ReadCount());
        EXPECT_EQ(0x12345678u, ar.ReadCount());
        CString s;
        ar >> s;
        EXPECT_STREQ("hi", s);
    }));
}

TEST(ArchiveObjects, ClassRecordsAndReferences)
{
    CNodeTest a, b;
    a.m_strName = "a";
    a.m_nValue = 1;
    a.m_pOther = &b;
    b.m_strName = "b";
    b.m_nValue = 2;
    b.m_pOther = &a;   // a cycle
    Bytes bytes = Store([&](CArchive& ar) {
        ar << &a;
        ar << &b;
        ar << (CObject*)NULL;
    });
    // First class record: 0xFFFF, schema 2, name length, name.
    const BYTE head[] = { 0xFF, 0xFF, 0x02, 0x00, 0x09, 0x00, 'C', 'N', 'o', 'd', 'e', 'T', 'e', 's', 't' };
    ASSERT_GT(bytes.data.size(), sizeof(head));
    EXPECT_EQ(0, memcmp(head, &bytes.data[0], sizeof(head)));
    // a's fields follow: "a", 1, then b as a repeated class 0x8001 and its fields.
    const BYTE next[] = { 0x01, 'a', 0x01, 0x00, 0x00, 0x00, 0x01, 0x80, 0x01, 'b' };
    EXPECT_EQ(0, memcmp(next, &bytes.data[sizeof(head)], sizeof(next)));

    EXPECT_EQ(-1, Load(bytes, [](CArchive& ar) {
        CNodeTest* pA = NULL;
        CNodeTest* pB = NULL;
        CNodeTest dummy;
        CObject* pNull = &dummy;
        ar >> pA >> pB >> pNull;
        ASSERT_NE(nullptr, pA);
        ASSERT_NE(nullptr, pB);
        EXPECT_STREQ("a", pA->m_strName);
        EXPECT_EQ(2, pB->m_nValue);
        EXPECT_EQ(pB, pA->m_pOther);   // references come back as the same objects
        EXPECT_EQ(pA, pB->m_pOther);
        EXPECT_EQ(nullptr, pNull);
        delete pA;
        delete pB;
    }));
}

TEST(ArchiveObjects, ReadClassRefusesUnknownAndUnrelatedClasses)
{
    Bytes known = Store([](CArchive& ar) { ar.WriteClass(RUNTIME_CLASS(CNodeTest)); });
    EXPECT_EQ(CArchiveException::badClass,
              Load(known, [](CArchive& ar) { ar.ReadClass(RUNTIME_CLASS(COtherTest)); }));
    EXPECT_EQ(-1, Load(known, [](CArchive& ar) {
        EXPECT_EQ(RUNTIME_CLASS(CNodeTest), ar.ReadClass(RUNTIME_CLASS(CObject)));
        EXPECT_EQ(2u, ar.GetObjectSchema());
        EXPECT_EQ((UINT)-1, ar.GetObjectSchema());
    }));

    Bytes unknown = known;
    unknown.data[6] = 'X';   // "XNodeTest" is no class
    EXPECT_EQ(CArchiveException::badClass, Load(unknown, [](CArchive& ar) { ar.ReadClass(); }));

    // A stored schema that differs: returned unchecked when asked for,
    // refused otherwise.
    Bytes other = known;
    other.data[2] = 7;
    EXPECT_EQ(-1, Load(other, [](CArchive& ar) {
        UINT nSchema = 0;
        EXPECT_EQ(RUNTIME_CLASS(CNodeTest), ar.ReadClass(RUNTIME_CLASS(CNodeTest), &nSchema));
        EXPECT_EQ(7u, nSchema);
    }));
    EXPECT_EQ(CArchiveException::badSchema, Load(other, [](CArchive& ar) { ar.ReadClass(); }));

    // A class tag pointing nowhere.
    Bytes bad = Store([](CArchive& ar) { ar << (WORD)0x8005; });
    EXPECT_EQ(CArchiveException::badIndex, Load(bad, [](CArchive& ar) { ar.ReadClass(); }));
    EXPECT_EQ(CArchiveException::badIndex, Load(bad, [](CArchive& ar) { ar.ReadObject(NULL); }));
}

TEST(ArchiveObjects, VersionableSchemaReachesSerialize)
{
    CVersionedTest v;
    v.m_nValue = 77;
    Bytes b = Store([&](CArchive& ar) { ar << &v; });
    b.data[2] = 3;   // written by an older version
    EXPECT_EQ(-1, Load(b, [](CArchive& ar) {
        CObject* pOb = ar.ReadObject(RUNTIME_CLASS(CVersionedTest));
        CVersionedTest* pV = DYNAMIC_DOWNCAST(CVersionedTest, pOb);
        ASSERT_NE(nullptr, pV);
        EXPECT_EQ(3u, pV->m_nSchemaSeen);
        EXPECT_EQ(77, pV->m_nValue);
        delete pOb;
    }));
}

TEST(ArchiveObjects, MappedObjectsAreWrittenAsReferences)
{
    CNodeTest doc, node;
    node.m_pOther = &doc;
    Bytes b = Store([&](CArchive& ar) {
        ar.MapObject(&doc);
        ar << &node;
    });
    EXPECT_EQ(-1, Load(b, [](CArchive& ar) {
        CNodeTest loadedDoc;
        ar.MapObject(&loadedDoc);
        CNodeTest* pNode = NULL;
        ar >> pNode;
        ASSERT_NE(nullptr, pNode);
        EXPECT_EQ(&loadedDoc, pNode->m_pOther);
        delete pNode;
    }));
}

TEST(ArchiveCollections, SerializeRoundTrips)
{
    CStringArray strings;
    strings.Add("one");
    strings.Add(CString('z', 300));
    CByteArray bytes;
    bytes.Add(1);
    bytes.Add(255);
    CArray<CPoint, CPoint> points;
    points.Add(CPoint(1, 2));
    CStringList list;
    list.AddTail("head");
    list.AddTail("tail");
    CMapStringToString map;
    map["k1"] = "v1";
    map["k2"] = "v2";
    CObList obs;
    CNodeTest node;
    node.m_strName = "in list";
    obs.AddTail(&node);
    obs.AddTail(&node);

    Bytes b = Store([&](CArchive& ar) {
        strings.Serialize(ar);
        bytes.Serialize(ar);
        points.Serialize(ar);
        list.Serialize(ar);
        map.Serialize(ar);
        obs.Serialize(ar);
    });
    EXPECT_EQ(-1, Load(b, [](CArchive& ar) {
        CStringArray s;
        CByteArray by;
        CArray<CPoint, CPoint> pts;
        CStringList l;
        CMapStringToString m;
        CObList o;
        s.Serialize(ar);
        by.Serialize(ar);
        pts.Serialize(ar);
        l.Serialize(ar);
        m.Serialize(ar);
        o.Serialize(ar);
        ASSERT_EQ(2, s.GetSize());
        EXPECT_EQ(300, s[1].GetLength());
        ASSERT_EQ(2, by.GetSize());
        EXPECT_EQ(255, by[1]);
        EXPECT_EQ(CPoint(1, 2), pts[0]);
        EXPECT_STREQ("tail", l.GetTail());
        CString v;
        EXPECT_TRUE(m.Lookup("k2", v));
        EXPECT_STREQ("v2", v);
        ASSERT_EQ(2, o.GetCount());
        EXPECT_EQ(o.GetHead(), o.GetTail());   // one object, referenced twice
        EXPECT_STREQ("in list", static_cast<CNodeTest*>(o.GetHead())->m_strName);
        delete o.GetHead();
    }));
}

TEST(ArchiveErrors, WrongDirectionAndEndOfFile)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        bool thrown = false;
        try
        {
            LONG l;
            ar >> l;
        }
        catch (CArchiveException* e)
        {
            thrown = e->m_cause == CArchiveException::writeOnly;
            e->Delete();
        }
        EXPECT_TRUE(thrown);
        ar << (WORD)1;
    }
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    bool thrown = false;
    try
    {
        ar << (WORD)2;
    }
    catch (CArchiveException* e)
    {
        thrown = e->m_cause == CArchiveException::readOnly;
        e->Delete();
    }
    EXPECT_TRUE(thrown);
    WORD w = 0;
    ar >> w;
    EXPECT_EQ(1, w);
    thrown = false;
    try
    {
        BYTE by;
        ar >> by;
    }
    catch (CArchiveException* e)
    {
        thrown = e->m_cause == CArchiveException::endOfFile;
        e->Delete();
    }
    EXPECT_TRUE(thrown);
    BYTE buf[4];
    EXPECT_EQ(0u, ar.Read(buf, sizeof(buf)));   // raw reads just come up short
}

TEST(ArchiveErrors, LengthsBeyondTheFileThrowBeforeAllocating)
{
    // A string claiming 0x7FFFFFF0 characters in a file of a few bytes.
    Bytes b = Store([](CArchive& ar) {
        ar << (BYTE)0xFF << (WORD)0xFFFF << (DWORD)0x7FFFFFF0 << (DWORD)0;
    });
    CString target("untouched");
    EXPECT_EQ(CArchiveException::endOfFile, Load(b, [&](CArchive& ar) { ar >> target; }));
    EXPECT_STREQ("untouched", target);

    // An array count far beyond the data.
    Bytes c = Store([](CArchive& ar) { ar << (WORD)0xFFFF << (DWORD)0x40000000 << (DWORD)1; });
    CStringArray arr;
    EXPECT_EQ(CArchiveException::endOfFile, Load(c, [&](CArchive& ar) { arr.Serialize(ar); }));
    EXPECT_EQ(0, arr.GetSize());
    CDWordArray dw;
    EXPECT_EQ(CArchiveException::endOfFile, Load(c, [&](CArchive& ar) { dw.Serialize(ar); }));
    CMapStringToString map;
    EXPECT_EQ(CArchiveException::endOfFile, Load(c, [&](CArchive& ar) { map.Serialize(ar); }));
    CObList list;
    EXPECT_EQ(CArchiveException::endOfFile, Load(c, [&](CArchive& ar) { list.Serialize(ar); }));

    // A variant string of impossible size.
    Bytes v = Store([](CArchive& ar) { ar << (WORD)VT_BSTR << (DWORD)0x7FFFFFF0; });
    COleVariant var;
    EXPECT_EQ(CArchiveException::endOfFile, Load(v, [&](CArchive& ar) { ar >> var; }));
}

TEST(ArchiveErrors, DeeplyNestedObjectsAreRefusedBeforeTheStackRunsOut)
{
    // 20,000 object arrays, each the only element of the one before: about
    // 80 KB that would take every ReadObject -> Serialize -> ReadObject
    // level onto the stack.
    const int nDepth = 20000;
    Bytes b;
    const BYTE header[] = { 0xFF, 0xFF, 0x00, 0x00, 0x08, 0x00, 'C', 'O', 'b', 'A', 'r', 'r', 'a', 'y' };
    b.data.assign(header, header + sizeof(header));
    for (int i = 0; i < nDepth; i++)
    {
        if (i > 0)
        {
            b.data.push_back(0x01);  // the class of the first object again
            b.data.push_back(0x80);
        }
        b.data.push_back(i + 1 < nDepth ? 1 : 0);  // one element, or none at the bottom
        b.data.push_back(0x00);
    }
    CObject* pOb = NULL;
    EXPECT_EQ(CArchiveException::genericException, Load(b, [&](CArchive& ar) { ar >> pOb; }));
    EXPECT_EQ(NULL, pOb);

    // Nesting within the limit still loads.
    Bytes shallow = Store([](CArchive& ar) {
        CObArray inner, outer;
        outer.Add(&inner);
        ar << &outer;
    });
    EXPECT_EQ(-1, Load(shallow, [&](CArchive& ar) { ar >> pOb; }));
    CObArray* pOuter = DYNAMIC_DOWNCAST(CObArray, pOb);
    ASSERT_TRUE(pOuter != NULL);
    ASSERT_EQ(1, pOuter->GetSize());
    delete pOuter->GetAt(0);
    delete pOuter;
}

namespace {

// A stream that cannot tell its length (like a pipe).
class CUnknownLengthFile : public CMemFile
{
public:
    CUnknownLengthFile(BYTE* pBuffer, UINT nSize) : CMemFile(pBuffer, nSize) {}
    ULONGLONG GetLength() const override
    {
        AfxThrowNotSupportedException();
    }
};

template <class F>
int LoadUnknownLength(const Bytes& b, F read)
{
    std::vector<BYTE> copy(b.data);
    CUnknownLengthFile file(copy.empty() ? NULL : &copy[0], (UINT)copy.size());
    CArchive ar(&file, CArchive::load);
    try
    {
        read(ar);
    }
    catch (CArchiveException* e)
    {
        int nCause = e->m_cause;
        e->Delete();
        return nCause;
    }
    return -1;
}

} // namespace

TEST(ArchiveErrors, LyingCountsOnAStreamOfUnknownLengthUseLittleMemory)
{
    // Memory for what the counts claim cannot be had: a reader that asks
    // for it fails with an out-of-memory error, not at the end of the data.

    // 23 bytes claiming a string of 512 MB.
    Bytes str = Store([](CArchive& ar) {
        ar << (BYTE)0xFF << (WORD)0xFFFF << (DWORD)0x1FFFFFFF;
        ar.Write("sixteen bytes...", 16);
    });
    ASSERT_EQ(23u, str.data.size());
    CString target("untouched");
    {
        testsupport::CAddressSpaceLimit limit;
        EXPECT_EQ(CArchiveException::endOfFile, LoadUnknownLength(str, [&](CArchive& ar) { ar >> target; }));
    }
    EXPECT_STREQ("untouched", target);

    // An array claiming 256 M elements (1 GB of DWORDs), and a variant
    // string of 1 GB.
    Bytes arr = Store([](CArchive& ar) { ar << (WORD)0xFFFF << (DWORD)0x10000000 << (DWORD)1 << (DWORD)2; });
    CDWordArray dw;
    Bytes var = Store([](CArchive& ar) { ar << (WORD)VT_BSTR << (DWORD)0x3FFFFFF0 << (DWORD)0x00620061; });
    COleVariant variant;
    testsupport::CAddressSpaceLimit limit;
    EXPECT_EQ(CArchiveException::endOfFile, LoadUnknownLength(arr, [&](CArchive& ar) { dw.Serialize(ar); }));
    EXPECT_EQ(CArchiveException::endOfFile, LoadUnknownLength(var, [&](CArchive& ar) { ar >> variant; }));
}

TEST(ArchiveRoundTrip, LargeDataThroughAStreamOfUnknownLength)
{
    CString strLong;
    for (int i = 0; i < 300000; i++)
        strLong += (char)('a' + i % 26);
    CDWordArray values;
    for (DWORD i = 0; i < 100000; i++)
        values.Add(i * 7);
    Bytes b = Store([&](CArchive& ar) {
        ar << strLong;
        values.Serialize(ar);
    });

    CString strRead;
    CDWordArray valuesRead;
    EXPECT_EQ(-1, LoadUnknownLength(b, [&](CArchive& ar) {
        ar >> strRead;
        valuesRead.Serialize(ar);
    }));
    EXPECT_TRUE(strRead == strLong);
    ASSERT_EQ(values.GetSize(), valuesRead.GetSize());
    EXPECT_EQ(0, memcmp(values.GetData(), valuesRead.GetData(), values.GetSize() * sizeof(DWORD)));
}

// Writes a varied archive used by the corruption tests.
Bytes MakeRichArchive()
{
    return Store([](CArchive& ar) {
        CNodeTest a, b;
        a.m_strName = "first node";
        a.m_pOther = &b;
        b.m_strName = CString('q', 400);
        b.m_pOther = &a;
        ar << &a;
        CStringArray strings;
        strings.Add("x");
        strings.Add("yy");
        strings.Serialize(ar);
        CMapStringToString map;
        map["key"] = "value";
        map.Serialize(ar);
        ar << CRect(1, 2, 3, 4) << COleDateTime(2001, 2, 3, 4, 5, 6) << COleVariant("var");
        ar.WriteCount(5);
        ar << (DWORD)0x0FF0ADBF;
    });
}

void ReadRichArchive(CArchive& ar)
{
    CObject* pOb = NULL;
    CStringArray strings;
    CMapStringToString map;
    try
    {
        ar >> pOb;
        strings.Serialize(ar);
        map.Serialize(ar);
        CRect rc;
        COleDateTime dt;
        COleVariant var;
        ar >> rc >> dt >> var;
        (void)ar.ReadCount();
        DWORD dw;
        ar >> dw;
    }
    catch (...)
    {
        // Objects made before the failure are not reachable any more; the
        // test accepts the leak.
        throw;
    }
}

TEST(ArchiveErrors, EveryTruncationThrowsArchiveException)
{
    Bytes full = MakeRichArchive();
    ASSERT_EQ(-1, Load(full, ReadRichArchive));
    for (size_t n = 0; n < full.data.size(); n++)
    {
        Bytes cut;
        cut.data.assign(full.data.begin(), full.data.begin() + n);
        int nCause = Load(cut, ReadRichArchive);
        EXPECT_EQ(CArchiveException::endOfFile, nCause) << "cut at " << n;
    }
}

TEST(ArchiveErrors, RandomCorruptionNeverCrashes)
{
    Bytes full = MakeRichArchive();
    std::mt19937 rng(12345);
    int nThrown = 0;
    for (int iter = 0; iter < 3000; iter++)
    {
        Bytes bad = full;
        int nFlips = 1 + (int)(rng() % 4);
        for (int k = 0; k < nFlips; k++)
        {
            size_t at = rng() % bad.data.size();
            switch (rng() % 3)
            {
            case 0:
                bad.data[at] = (BYTE)rng();
                break;
            case 1:
                bad.data[at] = 0xFF;
                break;
            default:
                bad.data[at] ^= (BYTE)(1u << (rng() % 8));
                break;
            }
        }
        std::vector<BYTE> copy(bad.data);
        CMemFile file(&copy[0], (UINT)copy.size());
        CArchive ar(&file, CArchive::load);
        try
        {
            ReadRichArchive(ar);
        }
        catch (CException* e)
        {
            // Only data-layer failures: archive, memory or invalid-argument.
            EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(CArchiveException)) ||
                        e->IsKindOf(RUNTIME_CLASS(CMemoryException)) ||
                        e->IsKindOf(RUNTIME_CLASS(CInvalidArgException)));
            e->Delete();
            nThrown++;
        }
    }
    EXPECT_GT(nThrown, 0);
}

TEST(ArchivePeek, LooksAheadWithoutConsuming)
{
    Bytes marked = Store([](CArchive& ar) { ar << (DWORD)0x0FF0ADBF << (DWORD)17; });
    EXPECT_EQ(-1, Load(marked, [](CArchive& ar) {
        ar.FillBuffer(4);
        ASSERT_GE(ar.m_lpBufMax - ar.m_lpBufCur, 4);
        DWORD dwMark = 0;
        EXPECT_TRUE(ar.Peek(&dwMark, 4));
        EXPECT_EQ(0x0FF0ADBFu, dwMark);
        DWORD a, b;
        ar >> a >> b;
        EXPECT_EQ(0x0FF0ADBFu, a);
        EXPECT_EQ(17u, b);
    }));

    // Fewer bytes than the mark: nothing is consumed or lost.
    Bytes shortOne = Store([](CArchive& ar) { ar << (WORD)0x1234; });
    EXPECT_EQ(-1, Load(shortOne, [](CArchive& ar) {
        DWORD dwMark = 0;
        ar.FillBuffer(4);
        EXPECT_FALSE(ar.Peek(&dwMark, 4));
        WORD w;
        ar >> w;
        EXPECT_EQ(0x1234, w);
    }));
}

TEST(ArchiveBuffering, LargeBlocksLinesAndFilePosition)
{
    std::vector<BYTE> block(10000);
    for (size_t i = 0; i < block.size(); i++)
        block[i] = (BYTE)(i * 7);
    Bytes b = Store([&](CArchive& ar) {
        ar << (BYTE)1;
        ar.Write(&block[0], (UINT)block.size());
        ar.WriteString("line one\r\nline two\nlast");
    });
    EXPECT_EQ(-1, Load(b, [&](CArchive& ar) {
        BYTE first;
        ar >> first;
        std::vector<BYTE> back(block.size());
        ar.EnsureRead(&back[0], 3000);
        ar.EnsureRead(&back[3000], (UINT)block.size() - 3000);
        EXPECT_TRUE(back == block);
        CString line;
        EXPECT_TRUE(ar.ReadString(line));
        EXPECT_STREQ("line one", line);
        char sz[32];
        EXPECT_STREQ("line two\n", ar.ReadString(sz, sizeof(sz)));
        EXPECT_TRUE(ar.ReadString(line));
        EXPECT_STREQ("last", line);
        EXPECT_FALSE(ar.ReadString(line));
    }));

    // Closing a loading archive gives the unread bytes back to the file.
    std::vector<BYTE> copy(b.data);
    CMemFile file(&copy[0], (UINT)copy.size());
    {
        CArchive ar(&file, CArchive::load);
        BYTE by;
        ar >> by;
        ar.Close();
    }
    EXPECT_EQ(1u, file.GetPosition());
}

} // namespace
