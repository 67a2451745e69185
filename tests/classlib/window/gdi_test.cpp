// GDI object wrappers and their handle maps: ownership, temporaries,
// regions, point fonts.
#define OEMRESOURCE // OBM_* ids
#include <gtest/gtest.h>

#include <afxgdi.h>

namespace
{
bool IsLiveGdiObject(HGDIOBJ h)
{
    return h != NULL && ::GetObjectType(h) != 0;
}

// A DC whose logical units are twice the device pixels vertically.
struct ScaledMemoryDC
{
    CDC dc;
    ScaledMemoryDC()
    {
        dc.CreateCompatibleDC(NULL);
        dc.SetMapMode(MM_ANISOTROPIC);
        dc.SetWindowExt(2, 2);
        dc.SetViewportExt(1, 1);
    }
};
} // namespace

// ---------------------------------------------------------------------------
// Ownership

TEST(GdiObjectOwnership, DestructorDeletesTheHandle)
{
    HGDIOBJ h;
    {
        CPen pen;
        ASSERT_TRUE(pen.CreatePen(PS_SOLID, 1, RGB(1, 2, 3)));
        h = pen.m_hObject;
        EXPECT_TRUE(IsLiveGdiObject(h));
    }
    EXPECT_FALSE(IsLiveGdiObject(h));
}

TEST(GdiObjectOwnership, DetachedHandleSurvivesTheObject)
{
    HGDIOBJ h;
    {
        CBrush brush;
        ASSERT_TRUE(brush.CreateSolidBrush(RGB(10, 20, 30)));
        h = brush.Detach();
        EXPECT_EQ(NULL, brush.m_hObject);
    }
    EXPECT_TRUE(IsLiveGdiObject(h));
    ::DeleteObject(h);
}

TEST(GdiObjectOwnership, AttachedObjectIsFoundByFromHandle)
{
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(90, "Tahoma"));
    EXPECT_EQ(&font, CFont::FromHandle((HFONT)font.m_hObject));
    EXPECT_EQ(&font, CGdiObject::FromHandle(font.m_hObject));
    HGDIOBJ h = font.m_hObject;
    font.DeleteObject();
    EXPECT_FALSE(IsLiveGdiObject(h));
    EXPECT_EQ(NULL, font.GetSafeHandle());
}

TEST(GdiObjectOwnership, CreatingAgainReplacesAndFreesTheOldHandle)
{
    CBrush brush;
    ASSERT_TRUE(brush.CreateSolidBrush(RGB(1, 1, 1)));
    HGDIOBJ hFirst = brush.m_hObject;
    ASSERT_TRUE(brush.CreateSolidBrush(RGB(2, 2, 2)));
    EXPECT_NE(hFirst, brush.m_hObject);
    EXPECT_FALSE(IsLiveGdiObject(hFirst));
}

TEST(GdiObjectOwnership, NullWrapperGivesNullHandle)
{
    CPen* pNoPen = NULL;
    CDC* pNoDC = NULL;
    CMenu* pNoMenu = NULL;
    EXPECT_EQ(NULL, pNoPen->GetSafeHandle());
    EXPECT_EQ(NULL, pNoDC->GetSafeHdc());
    EXPECT_EQ(NULL, pNoMenu->GetSafeHmenu());
}

TEST(GdiObjectOwnership, FailedCreationLeavesTheObjectEmpty)
{
    CBitmap bitmap;
    EXPECT_FALSE(bitmap.LoadBitmap(65000)); // no such resource
    EXPECT_EQ(NULL, bitmap.m_hObject);
    CBrush brush;
    EXPECT_FALSE(brush.CreatePatternBrush(&bitmap));
    EXPECT_FALSE(brush.CreatePatternBrush(NULL));
    EXPECT_EQ(NULL, brush.m_hObject);
}

TEST(GdiObjectOwnership, ThrowingConstructorsReportFailure)
{
    bool bThrown = false;
    try
    {
        CBrush brush((CBitmap*)NULL);
    }
    catch (CResourceException* e)
    {
        bThrown = true;
        e->Delete();
    }
    EXPECT_TRUE(bThrown);
}

// ---------------------------------------------------------------------------
// Temporaries

TEST(GdiTemporaries, FromHandleMakesTheMatchingWrapper)
{
    HPEN hPen = ::CreatePen(PS_SOLID, 1, 0);
    HBRUSH hBrush = ::CreateSolidBrush(0);
    HRGN hRgn = ::CreateRectRgn(0, 0, 5, 5);

    CGdiObject* pPen = CGdiObject::FromHandle(hPen);
    CGdiObject* pBrush = CGdiObject::FromHandle(hBrush);
    CGdiObject* pRgn = CGdiObject::FromHandle(hRgn);
    EXPECT_TRUE(pPen->IsKindOf(RUNTIME_CLASS(CPen)));
    EXPECT_TRUE(pBrush->IsKindOf(RUNTIME_CLASS(CBrush)));
    EXPECT_TRUE(pRgn->IsKindOf(RUNTIME_CLASS(CRgn)));
    // The same handle gives the same temporary until the idle pass.
    EXPECT_EQ(pPen, CPen::FromHandle(hPen));
    EXPECT_EQ(NULL, CGdiObject::FromHandle(NULL));

    AfxDeleteTempMaps();
    // Temporaries never own their handles.
    EXPECT_TRUE(IsLiveGdiObject(hPen));
    EXPECT_TRUE(IsLiveGdiObject(hBrush));
    EXPECT_TRUE(IsLiveGdiObject(hRgn));
    EXPECT_EQ(0, CGdiHandleMap::GetThreadMap()->GetTemporaryCount());
    ::DeleteObject(hPen);
    ::DeleteObject(hBrush);
    ::DeleteObject(hRgn);
}

TEST(GdiTemporaries, IdlePassLeavesPermanentObjectsAlone)
{
    CBrush brush;
    ASSERT_TRUE(brush.CreateSolidBrush(RGB(9, 9, 9)));
    HBRUSH hOther = ::CreateSolidBrush(RGB(8, 8, 8));
    CBrush* pTemp = CBrush::FromHandle(hOther);
    ASSERT_NE(nullptr, pTemp);
    EXPECT_EQ(1, CGdiHandleMap::GetThreadMap()->GetTemporaryCount());

    AfxDeleteTempMaps();
    EXPECT_EQ(&brush, CBrush::FromHandle((HBRUSH)brush.m_hObject));
    EXPECT_TRUE(IsLiveGdiObject(brush.m_hObject));
    EXPECT_EQ(0, CGdiHandleMap::GetThreadMap()->GetTemporaryCount());
    ::DeleteObject(hOther);
}

TEST(GdiTemporaries, AttachingHidesTheTemporary)
{
    HPEN hPen = ::CreatePen(PS_DOT, 1, 0);
    CPen* pTemp = CPen::FromHandle(hPen);
    CPen owner;
    owner.Attach(hPen);
    EXPECT_EQ(&owner, CPen::FromHandle(hPen));
    EXPECT_NE(pTemp, CPen::FromHandle(hPen));
    AfxDeleteTempMaps(); // deletes the retired temporary, not the handle
    EXPECT_TRUE(IsLiveGdiObject(hPen));
}

TEST(GdiTemporaries, DeletingThroughATemporaryForgetsIt)
{
    HPEN hPen = ::CreatePen(PS_SOLID, 2, 0);
    CPen* pTemp = CPen::FromHandle(hPen);
    EXPECT_TRUE(pTemp->DeleteObject());
    EXPECT_FALSE(IsLiveGdiObject(hPen));
    // A brush that happens to get the same handle value gets a brush wrapper.
    HBRUSH hBrush = ::CreateSolidBrush(0);
    CGdiObject* p = CGdiObject::FromHandle(hBrush);
    EXPECT_TRUE(p->IsKindOf(RUNTIME_CLASS(CBrush)));
    AfxDeleteTempMaps();
    ::DeleteObject(hBrush);
}

TEST(GdiTemporaries, ReusedHandleValueGetsANewWrapperOfTheRightKind)
{
    // Simulate reuse: a temporary is made for a pen handle, the pen is
    // deleted behind the layer's back, and whatever handle comes next is
    // looked up.  A stale wrapper of the wrong class must never come back.
    for (int i = 0; i < 50; ++i)
    {
        HPEN hPen = ::CreatePen(PS_SOLID, 1, RGB(i, 0, 0));
        CGdiObject::FromHandle(hPen);
        ::DeleteObject(hPen);
        HBRUSH hBrush = ::CreateSolidBrush(RGB(i, 0, 0));
        CGdiObject* p = CGdiObject::FromHandle(hBrush);
        ASSERT_TRUE(p->IsKindOf(RUNTIME_CLASS(CBrush))) << "iteration " << i;
        ::DeleteObject(hBrush);
    }
    AfxDeleteTempMaps();
    EXPECT_EQ(0, CGdiHandleMap::GetThreadMap()->GetTemporaryCount());
}

TEST(GdiTemporaries, MapsArePerThread)
{
    CBrush brush;
    ASSERT_TRUE(brush.CreateSolidBrush(RGB(4, 4, 4)));
    HBRUSH h = (HBRUSH)brush.m_hObject;
    struct Probe
    {
        HBRUSH h;
        CBrush* pSeen;
        INT_PTR nTemps;
        static DWORD WINAPI Run(LPVOID p)
        {
            Probe* probe = static_cast<Probe*>(p);
            probe->pSeen = CBrush::FromHandle(probe->h);
            probe->nTemps = CGdiHandleMap::GetThreadMap()->GetTemporaryCount();
            AfxDeleteTempMaps();
            return 0;
        }
    } probe = {h, NULL, 0};
    HANDLE hThread = ::CreateThread(NULL, 0, &Probe::Run, &probe, 0, NULL);
    ASSERT_NE(nullptr, hThread);
    ::WaitForSingleObject(hThread, 10000);
    ::CloseHandle(hThread);
    // The other thread got its own temporary, not this thread's object.
    EXPECT_NE(&brush, probe.pSeen);
    EXPECT_EQ(1, probe.nTemps);
    EXPECT_TRUE(IsLiveGdiObject(h));
    EXPECT_EQ(&brush, CBrush::FromHandle(h));
}

// ---------------------------------------------------------------------------
// Handle map on its own

namespace
{
struct Thing
{
    HANDLE h;
    static int s_nDeleted;
    ~Thing() { ++s_nDeleted; }
};
int Thing::s_nDeleted = 0;

struct ThingTraits : CHandleMapTraitsBase<HANDLE, Thing>
{
    static Thing* CreateTemp(HANDLE h)
    {
        Thing* p = new Thing;
        p->h = h;
        return p;
    }
    static void DetachTemp(Thing* p) { p->h = NULL; }
};
typedef CHandleMap<HANDLE, Thing, ThingTraits> ThingMap;
} // namespace

TEST(HandleMap, PermanentEntriesAreRemovedOnlyByTheirOwner)
{
    ThingMap* pMap = ThingMap::GetThreadMap();
    Thing a, b;
    HANDLE h = (HANDLE)(INT_PTR)0x1234;
    pMap->SetPermanent(h, &a);
    pMap->SetPermanent(h, &b); // b takes the handle over
    pMap->RemovePermanent(h, &a);
    EXPECT_EQ(&b, pMap->LookupPermanent(h));
    pMap->RemovePermanent(h, &b);
    EXPECT_EQ(nullptr, pMap->LookupPermanent(h));
}

TEST(HandleMap, TemporariesAreDetachedThenDeleted)
{
    ThingMap* pMap = ThingMap::GetThreadMap();
    Thing::s_nDeleted = 0;
    HANDLE h1 = (HANDLE)(INT_PTR)0x10;
    HANDLE h2 = (HANDLE)(INT_PTR)0x20;
    Thing* p1 = pMap->FromHandle(h1);
    EXPECT_EQ(h1, p1->h);
    EXPECT_EQ(p1, pMap->FromHandle(h1));
    pMap->FromHandle(h2);
    EXPECT_TRUE(pMap->IsTemporary(p1));
    EXPECT_EQ(2, pMap->GetTemporaryCount());
    AfxDeleteTempMaps();
    EXPECT_EQ(2, Thing::s_nDeleted);
    EXPECT_EQ(0, pMap->GetTemporaryCount());
}

// ---------------------------------------------------------------------------
// Regions

TEST(GdiRegion, CombineAndQuery)
{
    CRgn a, b, result;
    ASSERT_TRUE(a.CreateRectRgn(0, 0, 10, 10));
    ASSERT_TRUE(b.CreateRectRgn(5, 5, 20, 20));
    // The result object has no region yet: it gets one.
    EXPECT_EQ(COMPLEXREGION, result.CombineRgn(&a, &b, RGN_OR));
    CRect box;
    EXPECT_EQ(COMPLEXREGION, result.GetRgnBox(&box));
    EXPECT_EQ(CRect(0, 0, 20, 20), box);
    EXPECT_TRUE(result.PtInRegion(2, 2));
    EXPECT_FALSE(result.PtInRegion(15, 2));
    CRect probe(12, 12, 14, 14);
    EXPECT_TRUE(result.RectInRegion(&probe));

    CRgn copy;
    EXPECT_NE(ERROR, copy.CopyRgn(&result));
    EXPECT_TRUE(copy.EqualRgn(&result));
    copy.OffsetRgn(1, 0);
    EXPECT_FALSE(copy.EqualRgn(&result));

    EXPECT_EQ(ERROR, result.CombineRgn(NULL, &b, RGN_AND));
    EXPECT_EQ(ERROR, result.CombineRgn(&a, NULL, RGN_AND));
}

TEST(GdiRegion, DataRoundTrip)
{
    CRgn rgn;
    ASSERT_TRUE(rgn.CreateRectRgn(1, 2, 30, 40));
    int nSize = rgn.GetRegionData(NULL, 0);
    ASSERT_GT(nSize, (int)sizeof(RGNDATAHEADER));
    std::vector<BYTE> data(nSize);
    ASSERT_EQ(nSize, rgn.GetRegionData((LPRGNDATA)data.data(), nSize));
    CRgn copy;
    ASSERT_TRUE(copy.CreateFromData(NULL, nSize, (const RGNDATA*)data.data()));
    EXPECT_TRUE(copy.EqualRgn(&rgn));
}

TEST(GdiRegion, CreateFromDataRejectsCountsBeyondTheBuffer)
{
    CRgn rgn;
    ASSERT_TRUE(rgn.CreateRectRgn(0, 0, 8, 8));
    int nSize = rgn.GetRegionData(NULL, 0);
    std::vector<BYTE> data(nSize);
    rgn.GetRegionData((LPRGNDATA)data.data(), nSize);
    RGNDATA* p = (RGNDATA*)data.data();
    p->rdh.nCount = 100000; // claims far more rectangles than the buffer holds
    CRgn bad;
    EXPECT_FALSE(bad.CreateFromData(NULL, nSize, p));
    EXPECT_EQ(NULL, bad.m_hObject);
    EXPECT_FALSE(bad.CreateFromData(NULL, 4, p));
    EXPECT_FALSE(bad.CreateFromData(NULL, nSize, NULL));
}

// ---------------------------------------------------------------------------
// Fonts

TEST(GdiFont, PointFontOnTheScreen)
{
    HDC hScreen = ::GetDC(NULL);
    int nLogPixelsY = ::GetDeviceCaps(hScreen, LOGPIXELSY);
    ::ReleaseDC(NULL, hScreen);

    CFont font;
    ASSERT_TRUE(font.CreatePointFont(100, "Tahoma"));
    LOGFONT lf;
    ASSERT_NE(0, font.GetLogFont(&lf));
    EXPECT_EQ(-::MulDiv(nLogPixelsY, 100, 720), lf.lfHeight);
    EXPECT_STREQ("Tahoma", lf.lfFaceName);
}

TEST(GdiFont, PointFontFollowsTheDCMapping)
{
    ScaledMemoryDC scaled;
    int nLogPixelsY = scaled.dc.GetDeviceCaps(LOGPIXELSY);
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(120, "Tahoma", &scaled.dc));
    LOGFONT lf;
    font.GetLogFont(&lf);
    // Two logical units per pixel: twice the pixel height.
    EXPECT_EQ(-2 * ::MulDiv(nLogPixelsY, 120, 720), lf.lfHeight);

    // A moved origin changes nothing.
    scaled.dc.SetWindowOrg(100, 300);
    CFont moved;
    ASSERT_TRUE(moved.CreatePointFont(120, "Tahoma", &scaled.dc));
    moved.GetLogFont(&lf);
    EXPECT_EQ(-2 * ::MulDiv(nLogPixelsY, 120, 720), lf.lfHeight);
}

TEST(GdiFont, PointFontIndirectKeepsTheOtherFields)
{
    LOGFONT lf;
    memset(&lf, 0, sizeof(lf));
    lf.lfHeight = 80;
    lf.lfWeight = FW_BOLD;
    lf.lfItalic = TRUE;
    strcpy(lf.lfFaceName, "Tahoma");
    CFont font;
    ASSERT_TRUE(font.CreatePointFontIndirect(&lf));
    LOGFONT out;
    font.GetLogFont(&out);
    EXPECT_LT(out.lfHeight, 0);
    EXPECT_EQ(FW_BOLD, out.lfWeight);
    EXPECT_TRUE(out.lfItalic);
}

// ---------------------------------------------------------------------------
// Bitmaps, pens, brushes, palettes

TEST(GdiBitmap, CreateAndInspect)
{
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateBitmap(16, 8, 1, 1, NULL));
    BITMAP bm;
    ASSERT_NE(0, bitmap.GetBitmap(&bm));
    EXPECT_EQ(16, bm.bmWidth);
    EXPECT_EQ(8, bm.bmHeight);
    BYTE bits[16];
    memset(bits, 0xA5, sizeof(bits));
    EXPECT_EQ(16u, bitmap.SetBitmapBits(16, bits));
    BYTE back[16] = {0};
    EXPECT_EQ(16u, bitmap.GetBitmapBits(16, back));
    EXPECT_EQ(0, memcmp(bits, back, 16));
    bitmap.SetBitmapDimension(3, 4);
    EXPECT_EQ(CSize(3, 4), bitmap.GetBitmapDimension());
}

TEST(GdiBitmap, OemBitmapLoads)
{
    CBitmap bitmap;
    EXPECT_TRUE(bitmap.LoadOEMBitmap(OBM_CHECK));
    EXPECT_EQ((UINT)OBJ_BITMAP, bitmap.GetObjectType());
}

TEST(GdiPenBrush, LogicalDescriptions)
{
    CPen pen(PS_DASH, 1, RGB(1, 2, 3));
    LOGPEN lp;
    ASSERT_NE(0, pen.GetLogPen(&lp));
    EXPECT_EQ((UINT)PS_DASH, lp.lopnStyle);
    EXPECT_EQ(RGB(1, 2, 3), lp.lopnColor);

    CBrush hatch(HS_CROSS, RGB(4, 5, 6));
    LOGBRUSH lb;
    ASSERT_NE(0, hatch.GetLogBrush(&lb));
    EXPECT_EQ((UINT)BS_HATCHED, lb.lbStyle);
    EXPECT_EQ((ULONG_PTR)HS_CROSS, lb.lbHatch);

    LOGBRUSH solid = {BS_SOLID, RGB(7, 8, 9), 0};
    CPen geometric(PS_GEOMETRIC | PS_SOLID, 3, &solid);
    EXPECT_EQ((UINT)OBJ_EXTPEN, geometric.GetObjectType());
    EXPECT_TRUE(CGdiObject::FromHandle(geometric.m_hObject)->IsKindOf(RUNTIME_CLASS(CPen)));
}

TEST(GdiPalette, EntriesAndCount)
{
    struct
    {
        WORD palVersion;
        WORD palNumEntries;
        PALETTEENTRY entries[4];
    } pal = {0x300, 4, {{1, 2, 3, 0}, {4, 5, 6, 0}, {7, 8, 9, 0}, {10, 11, 12, 0}}};
    CPalette palette;
    ASSERT_TRUE(palette.CreatePalette((LPLOGPALETTE)&pal));
    EXPECT_EQ(4, palette.GetEntryCount());
    PALETTEENTRY e[2];
    EXPECT_EQ(2u, palette.GetPaletteEntries(1, 2, e));
    EXPECT_EQ(4, e[0].peRed);
    EXPECT_EQ(9, e[1].peBlue);
    EXPECT_EQ(2u, palette.GetNearestPaletteIndex(RGB(7, 8, 9)));
}
