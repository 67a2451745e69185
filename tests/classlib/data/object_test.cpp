// Runtime classes, exceptions and CATCH bookkeeping, lazily created data,
// dates, variants and rectangles.
#include <afx.h>

#include <gtest/gtest.h>

#include <process.h>

namespace {

class CShapeTest : public CObject
{
    DECLARE_DYNAMIC(CShapeTest)
};
IMPLEMENT_DYNAMIC(CShapeTest, CObject)

class CCircleTest : public CShapeTest
{
    DECLARE_DYNCREATE(CCircleTest)
public:
    int m_nRadius = 7;
};
IMPLEMENT_DYNCREATE(CCircleTest, CShapeTest)

class CSquareTest : public CShapeTest
{
    DECLARE_SERIAL(CSquareTest)
};
IMPLEMENT_SERIAL(CSquareTest, CShapeTest, 3)

TEST(RuntimeClass, LookupByExactNameAndCreate)
{
    CRuntimeClass* pClass = CRuntimeClass::FromName("CCircleTest");
    ASSERT_EQ(RUNTIME_CLASS(CCircleTest), pClass);
    EXPECT_EQ(nullptr, CRuntimeClass::FromName("ccircletest"));
    EXPECT_EQ(nullptr, CRuntimeClass::FromName("CCircle"));
    EXPECT_EQ(nullptr, CRuntimeClass::FromName(NULL));
    EXPECT_EQ(RUNTIME_CLASS(CObject), CRuntimeClass::FromName("CObject"));
    EXPECT_EQ(RUNTIME_CLASS(CFileException), CRuntimeClass::FromName("CFileException"));

    CObject* pOb = pClass->CreateObject();
    ASSERT_NE(nullptr, pOb);
    EXPECT_TRUE(pOb->IsKindOf(RUNTIME_CLASS(CShapeTest)));
    EXPECT_EQ(7, static_cast<CCircleTest*>(pOb)->m_nRadius);
    delete pOb;

    pOb = CRuntimeClass::CreateObject("CSquareTest");
    ASSERT_NE(nullptr, pOb);
    EXPECT_EQ(RUNTIME_CLASS(CSquareTest), pOb->GetRuntimeClass());
    EXPECT_TRUE(pOb->IsSerializable());
    delete pOb;

    // Not creatable, or unknown: NULL, never an exception.
    EXPECT_EQ(nullptr, RUNTIME_CLASS(CShapeTest)->CreateObject());
    EXPECT_EQ(nullptr, CRuntimeClass::CreateObject("NoSuchClass"));
}

TEST(RuntimeClass, KindsAndDowncasts)
{
    CCircleTest circle;
    CObject* pOb = &circle;
    EXPECT_TRUE(pOb->IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_TRUE(pOb->IsKindOf(RUNTIME_CLASS(CCircleTest)));
    EXPECT_FALSE(pOb->IsKindOf(RUNTIME_CLASS(CSquareTest)));
    EXPECT_FALSE(pOb->IsSerializable());
    EXPECT_EQ(&circle, DYNAMIC_DOWNCAST(CShapeTest, pOb));
    EXPECT_EQ(nullptr, DYNAMIC_DOWNCAST(CSquareTest, pOb));
    EXPECT_EQ(nullptr, DYNAMIC_DOWNCAST(CSquareTest, (CObject*)NULL));
    EXPECT_EQ(&circle, STATIC_DOWNCAST(CCircleTest, pOb));
    EXPECT_EQ(3u, RUNTIME_CLASS(CSquareTest)->m_wSchema);
    EXPECT_EQ(0xFFFFu, RUNTIME_CLASS(CCircleTest)->m_wSchema);
    EXPECT_EQ(RUNTIME_CLASS(CShapeTest), RUNTIME_CLASS(CCircleTest)->m_pBaseClass);
}

// Counts live exceptions to check who deletes them.
int g_nLiveExceptions = 0;

class CCountedException : public CException
{
public:
    CCountedException() { ++g_nLiveExceptions; }
    ~CCountedException() { --g_nLiveExceptions; }
};

TEST(Exceptions, CatchMacrosDeleteTheException)
{
    g_nLiveExceptions = 0;
    TRY
    {
        throw new CCountedException;
    }
    CATCH(CException, e)
    {
        EXPECT_EQ(1, g_nLiveExceptions);
    }
    END_CATCH
    EXPECT_EQ(0, g_nLiveExceptions);

    // A handler that deletes the exception itself is not hurt.
    TRY
    {
        throw new CCountedException;
    }
    CATCH_ALL(e)
    {
        e->Delete();
    }
    END_CATCH_ALL
    EXPECT_EQ(0, g_nLiveExceptions);

    // THROW_LAST passes it on undeleted.
    CException* pOuter = NULL;
    try
    {
        TRY
        {
            throw new CCountedException;
        }
        CATCH(CException, e)
        {
            THROW_LAST();
        }
        END_CATCH
    }
    catch (CException* e)
    {
        pOuter = e;
    }
    ASSERT_NE(nullptr, pOuter);
    EXPECT_EQ(1, g_nLiveExceptions);
    pOuter->Delete();
    EXPECT_EQ(0, g_nLiveExceptions);
}

TEST(Exceptions, ThrowFunctionsAndMessages)
{
    try
    {
        AfxThrowFileException(CFileException::fileNotFound, ERROR_FILE_NOT_FOUND, "C:\\x.hti");
    }
    catch (CFileException* e)
    {
        EXPECT_EQ(CFileException::fileNotFound, e->m_cause);
        EXPECT_EQ((LONG)ERROR_FILE_NOT_FOUND, e->m_lOsError);
        char sz[256];
        EXPECT_TRUE(e->GetErrorMessage(sz, sizeof(sz)));
        EXPECT_NE(nullptr, strstr(sz, "C:\\x.hti"));
        char tiny[4];
        EXPECT_TRUE(e->GetErrorMessage(tiny, sizeof(tiny)));
        EXPECT_EQ(3u, strlen(tiny));
        e->Delete();
    }
    try
    {
        AfxThrowArchiveException(CArchiveException::badSchema);
    }
    catch (CArchiveException* e)
    {
        EXPECT_EQ(CArchiveException::badSchema, e->m_cause);
        e->Delete();
    }
    // The memory exception is a shared object that Delete leaves alone.
    for (int i = 0; i < 2; i++)
    {
        try
        {
            AfxThrowMemoryException();
        }
        catch (CException* e)
        {
            EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(CMemoryException)));
            e->Delete();
        }
    }
    EXPECT_EQ(CFileException::sharingViolation, CFileException::OsErrorToException(ERROR_SHARING_VIOLATION));
    EXPECT_EQ(CFileException::diskFull, CFileException::OsErrorToException(ERROR_DISK_FULL));
    EXPECT_EQ(CFileException::badPath, CFileException::OsErrorToException(ERROR_PATH_NOT_FOUND));
}

UINT g_nReportedType = 0;
CString g_strReported;
int AFXAPI RecordReport(LPCTSTR lpszText, UINT nType)
{
    g_strReported = lpszText;
    g_nReportedType = nType;
    return IDOK;
}

TEST(Exceptions, ReportErrorGoesThroughTheReplaceableProcedure)
{
    AFX_REPORT_ERROR_PROC pfnOld = AfxSetReportErrorProc(&RecordReport);
    CInvalidArgException e;
    EXPECT_EQ(IDOK, e.ReportError(MB_ICONSTOP));
    EXPECT_EQ((UINT)MB_ICONSTOP, g_nReportedType);
    EXPECT_FALSE(g_strReported.IsEmpty());
    AfxSetReportErrorProc(pfnOld);
}

struct CCounterData : public CNoTrackObject
{
    CCounterData() : nValue(0), dwThread(GetCurrentThreadId()) { ++s_nLive; }
    ~CCounterData() { --s_nLive; }
    int nValue;
    DWORD dwThread;
    static LONG s_nLive;
};
LONG CCounterData::s_nLive = 0;

CThreadLocal<CCounterData> g_threadCounter;
CProcessLocal<CCounterData> g_processCounter;

unsigned __stdcall UseThreadData(void* pArg)
{
    CCounterData* pData = g_threadCounter.GetData();
    pData->nValue = 99;
    *static_cast<DWORD*>(pArg) = pData->dwThread;
    g_processCounter->nValue++;
    return 0;
}

TEST(LocalData, ThreadObjectsAreSeparateAndFreedAtThreadEnd)
{
    EXPECT_EQ(nullptr, g_threadCounter.GetDataNA());
    CCounterData* pMine = g_threadCounter.GetData();
    ASSERT_NE(nullptr, pMine);
    EXPECT_EQ(pMine, g_threadCounter.GetData());
    pMine->nValue = 1;
    int nProcessBefore = g_processCounter->nValue;
    LONG nLiveBefore = CCounterData::s_nLive;

    DWORD dwOther = 0;
    HANDLE hThread = (HANDLE)_beginthreadex(NULL, 0, &UseThreadData, &dwOther, 0, NULL);
    ASSERT_NE(nullptr, hThread);
    WaitForSingleObject(hThread, INFINITE);
    CloseHandle(hThread);

    EXPECT_NE(0u, dwOther);
    EXPECT_NE(GetCurrentThreadId(), dwOther);
    EXPECT_EQ(1, pMine->nValue);   // untouched by the other thread
    EXPECT_EQ(nLiveBefore, CCounterData::s_nLive);   // the thread's object is gone
    EXPECT_EQ(nProcessBefore + 1, g_processCounter->nValue);   // one shared object
}

TEST(OleDateTime, StatusIsComparedFirst)
{
    COleDateTime a(2024, 2, 29, 12, 30, 15);
    ASSERT_EQ(COleDateTime::valid, a.GetStatus());
    COleDateTime b(a.m_dt);
    EXPECT_TRUE(a == b);
    b.SetStatus(COleDateTime::invalid);
    EXPECT_FALSE(a == b);   // same value, different status
    EXPECT_TRUE(a != b);

    COleDateTime n1, n2(5.0);
    n1.SetStatus(COleDateTime::null);
    n2.SetStatus(COleDateTime::null);
    EXPECT_TRUE(n1 == n2);   // two nulls are equal whatever their values

    COleDateTime i1, i2;
    i1.SetStatus(COleDateTime::invalid);
    i2.SetStatus(COleDateTime::invalid);
    EXPECT_FALSE(i1 == i2);
}

TEST(OleDateTime, PartsValidationAndArithmetic)
{
    COleDateTime dt(2024, 2, 29, 12, 30, 15);
    EXPECT_EQ(2024, dt.GetYear());
    EXPECT_EQ(2, dt.GetMonth());
    EXPECT_EQ(29, dt.GetDay());
    EXPECT_EQ(12, dt.GetHour());
    EXPECT_EQ(30, dt.GetMinute());
    EXPECT_EQ(15, dt.GetSecond());
    EXPECT_EQ(5, dt.GetDayOfWeek());   // a Thursday
    EXPECT_EQ(60, dt.GetDayOfYear());

    EXPECT_EQ(1, dt.SetDateTime(2023, 2, 29, 0, 0, 0));
    EXPECT_EQ(COleDateTime::invalid, dt.GetStatus());
    EXPECT_EQ(AFX_OLE_DATETIME_ERROR, dt.GetYear());

    COleDateTime epoch(1899, 12, 30, 0, 0, 0);
    EXPECT_DOUBLE_EQ(0.0, epoch.m_dt);
    COleDateTime before(1899, 12, 29, 6, 0, 0);   // time stays positive before day 0
    EXPECT_DOUBLE_EQ(-1.25, before.m_dt);
    EXPECT_EQ(6, before.GetHour());
    EXPECT_TRUE(before < epoch);
    COleDateTime later = before + COleDateTimeSpan(0, 18, 0, 0);
    EXPECT_EQ(30, later.GetDay());
    EXPECT_EQ(0, later.GetHour());
    COleDateTimeSpan span = COleDateTime(2000, 1, 2, 0, 0, 0) - COleDateTime(2000, 1, 1, 12, 0, 0);
    EXPECT_DOUBLE_EQ(0.5, span.GetTotalDays());
    EXPECT_EQ(12, span.GetHours());
}

TEST(OleDateTime, ParseAndFormat)
{
    COleDateTime dt;
    EXPECT_TRUE(dt.ParseDateTime("2021-07-04 08:09:10"));
    EXPECT_EQ(2021, dt.GetYear());
    EXPECT_EQ(10, dt.GetSecond());
    EXPECT_STREQ("2021-07-04 08:09:10", dt.Format("%Y-%m-%d %H:%M:%S"));
    EXPECT_TRUE(dt.ParseDateTime("12/25/1999 11:30 PM"));
    EXPECT_EQ(23, dt.GetHour());
    EXPECT_EQ(25, dt.GetDay());
    EXPECT_TRUE(dt.ParseDateTime("13:45"));
    EXPECT_EQ(13, dt.GetHour());
    EXPECT_EQ(1899, dt.GetYear());
    EXPECT_FALSE(dt.ParseDateTime("not a date at all"));
    EXPECT_EQ(COleDateTime::invalid, dt.GetStatus());
    EXPECT_STREQ("Invalid DateTime", dt.Format("%Y"));
    dt.SetStatus(COleDateTime::null);
    EXPECT_STREQ("", dt.Format());
    COleDateTime now = COleDateTime::GetCurrentTime();
    EXPECT_EQ(COleDateTime::valid, now.GetStatus());
    EXPECT_GE(now.GetYear(), 2020);
}

TEST(Time, CTimeRoundTripAndSpan)
{
    CTime t(2010, 3, 4, 5, 6, 7);
    EXPECT_EQ(2010, t.GetYear());
    EXPECT_EQ(3, t.GetMonth());
    EXPECT_EQ(7, t.GetSecond());
    CTime u = t + CTimeSpan(1, 2, 3, 4);
    CTimeSpan d = u - t;
    EXPECT_EQ(1, d.GetDays());
    EXPECT_EQ(2, d.GetHours());
    EXPECT_EQ(3, d.GetMinutes());
    EXPECT_EQ(4, d.GetSeconds());
    EXPECT_STREQ("1 02:03:04", d.Format("%D %H:%M:%S"));
    EXPECT_STREQ("2010-03-04", t.Format("%Y-%m-%d"));
    EXPECT_EQ(-1, CTime(2010, 13, 1, 0, 0, 0).GetTime());
}

TEST(OleVariant, ConstructionCopyAndChangeType)
{
    COleVariant vLong(42L);
    EXPECT_EQ(VT_I4, vLong.vt);
    COleVariant vStr("text");
    EXPECT_EQ(VT_BSTR, vStr.vt);
    EXPECT_EQ(0, wcscmp(L"text", vStr.bstrVal));
    COleVariant vCopy(vStr);
    EXPECT_TRUE(vCopy == vStr);
    EXPECT_NE(vCopy.bstrVal, vStr.bstrVal);   // a deep copy
    COleVariant vBool(true);
    EXPECT_EQ(VT_BOOL, vBool.vt);
    EXPECT_EQ(VARIANT_TRUE, vBool.boolVal);
    COleVariant vByte((BYTE)7), vShort((short)-2), vFloat(1.5f), vDouble(2.25);
    EXPECT_EQ(VT_UI1, vByte.vt);
    EXPECT_EQ(VT_I2, vShort.vt);
    EXPECT_EQ(VT_R4, vFloat.vt);
    EXPECT_EQ(VT_R8, vDouble.vt);

    COleVariant v("123");
    v.ChangeType(VT_I4);
    EXPECT_EQ(VT_I4, v.vt);
    EXPECT_EQ(123, v.lVal);
    COleVariant bad("xyz");
    bool thrown = false;
    try
    {
        bad.ChangeType(VT_I4);
    }
    catch (CException* e)
    {
        thrown = true;
        e->Delete();
    }
    EXPECT_TRUE(thrown);
    EXPECT_EQ(VT_BSTR, bad.vt);   // unchanged
    v = 3.5;
    EXPECT_EQ(VT_R8, v.vt);
    v.Clear();
    EXPECT_EQ(VT_EMPTY, v.vt);
    LPVARIANT pv = vLong;
    EXPECT_EQ(42, pv->lVal);
}

TEST(Geometry, RectPointSizeOperators)
{
    CRect r(10, 20, 110, 220);
    EXPECT_EQ(100, r.Width());
    EXPECT_EQ(200, r.Height());
    EXPECT_EQ(CSize(100, 200), r.Size());
    EXPECT_EQ(CPoint(60, 120), r.CenterPoint());
    EXPECT_TRUE(r.PtInRect(CPoint(10, 20)));
    EXPECT_FALSE(r.PtInRect(CPoint(110, 20)));
    r.TopLeft() = CPoint(0, 0);
    EXPECT_EQ(CRect(0, 0, 110, 220), r);
    r.DeflateRect(10, 20);
    EXPECT_EQ(CRect(10, 20, 100, 200), r);
    r.InflateRect(CRect(1, 2, 3, 4));
    EXPECT_EQ(CRect(9, 18, 103, 204), r);
    r.OffsetRect(CPoint(1, 2));
    EXPECT_EQ(CRect(10, 20, 104, 206), r);
    r.MoveToXY(0, 0);
    EXPECT_EQ(CRect(0, 0, 94, 186), r);
    CRect n(5, 5, 0, 0);
    EXPECT_TRUE(n.IsRectEmpty());
    n.NormalizeRect();
    EXPECT_EQ(CRect(0, 0, 5, 5), n);
    EXPECT_EQ(CRect(2, 2, 5, 5), n & CRect(2, 2, 8, 8));
    EXPECT_EQ(CRect(0, 0, 8, 8), n | CRect(2, 2, 8, 8));
    EXPECT_EQ(CRect(1, 1, 6, 6), n + CPoint(1, 1));
    EXPECT_TRUE(CRect().IsRectNull());
    EXPECT_EQ(CPoint(3, 4), CPoint(1, 1) + CSize(2, 3));
    EXPECT_EQ(CSize(2, 3), CPoint(3, 4) - CPoint(1, 1));
    EXPECT_EQ(CPoint(-5, 7), CPoint(MAKELPARAM(-5, 7)));
    LPCRECT pc = r;
    EXPECT_EQ(94, pc->right);
}

} // namespace
