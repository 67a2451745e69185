// CDC drawing and state on memory DCs backed by DIB sections, and on
// metafile DCs.
#include <gtest/gtest.h>

#include <afxgdi.h>

#include "support/canvas.h"
#include "support/gdi_count.h"

using testsupport::Canvas;

namespace
{
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kGreen = RGB(0, 255, 0);
const COLORREF kWhite = RGB(255, 255, 255);
} // namespace

// ---------------------------------------------------------------------------
// Filling and frames

TEST(DcDrawing, FillSolidRectPaintsExactlyTheRectAndKeepsTheColour)
{
    Canvas canvas(20, 20);
    canvas.DC()->SetBkColor(kGreen);
    canvas.DC()->FillSolidRect(2, 3, 5, 4, kRed);
    EXPECT_EQ(kRed, canvas.Pixel(2, 3));
    EXPECT_EQ(kRed, canvas.Pixel(6, 6));
    EXPECT_EQ(kWhite, canvas.Pixel(7, 6));
    EXPECT_EQ(kWhite, canvas.Pixel(6, 7));
    EXPECT_EQ(kWhite, canvas.Pixel(1, 3));
    // The background colour is left at the fill colour.
    EXPECT_EQ(kRed, canvas.DC()->GetBkColor());
}

TEST(DcDrawing, FillSolidRectAcceptsReversedRectangles)
{
    Canvas canvas(10, 10);
    CRect reversed(6, 6, 2, 2);
    canvas.DC()->FillSolidRect(&reversed, kBlue);
    EXPECT_EQ(kBlue, canvas.Pixel(2, 2));
    EXPECT_EQ(kBlue, canvas.Pixel(5, 5));
    EXPECT_EQ(kWhite, canvas.Pixel(6, 6));
}

TEST(DcDrawing, Draw3dRectEdgesAndCorners)
{
    Canvas canvas(20, 20);
    canvas.DC()->Draw3dRect(CRect(2, 2, 12, 10), kRed, kBlue);
    // Top and left edges in the first colour.
    EXPECT_EQ(kRed, canvas.Pixel(2, 2));
    EXPECT_EQ(kRed, canvas.Pixel(10, 2));
    EXPECT_EQ(kRed, canvas.Pixel(2, 8));
    // Right and bottom edges, with the far corners, in the second.
    EXPECT_EQ(kBlue, canvas.Pixel(11, 2));
    EXPECT_EQ(kBlue, canvas.Pixel(11, 9));
    EXPECT_EQ(kBlue, canvas.Pixel(2, 9));
    // Nothing inside or outside.
    EXPECT_EQ(kWhite, canvas.Pixel(5, 5));
    EXPECT_EQ(kWhite, canvas.Pixel(12, 5));
    EXPECT_EQ(kWhite, canvas.Pixel(5, 10));
}

TEST(DcDrawing, SelectedPenAndBrushDrawARectangle)
{
    Canvas canvas(20, 20);
    CPen pen(PS_SOLID, 1, kBlue);
    CBrush brush(kRed);
    CPen* pOldPen = canvas.DC()->SelectObject(&pen);
    CBrush* pOldBrush = canvas.DC()->SelectObject(&brush);
    canvas.DC()->Rectangle(1, 1, 9, 9);
    canvas.DC()->SelectObject(pOldPen);
    canvas.DC()->SelectObject(pOldBrush);
    EXPECT_EQ(kBlue, canvas.Pixel(1, 1));
    EXPECT_EQ(kBlue, canvas.Pixel(8, 8));
    EXPECT_EQ(kRed, canvas.Pixel(4, 4));
    EXPECT_EQ(kWhite, canvas.Pixel(9, 9));
}

TEST(DcDrawing, HalftoneBrushIsSharedAndChecked)
{
    CBrush* p1 = CDC::GetHalftoneBrush();
    CBrush* p2 = CDC::GetHalftoneBrush();
    ASSERT_NE(nullptr, p1);
    EXPECT_EQ(p1, p2);
    ASSERT_NE(nullptr, p1->m_hObject);

    Canvas canvas(8, 8);
    canvas.DC()->SetTextColor(RGB(0, 0, 0));
    canvas.DC()->SetBkColor(kWhite);
    canvas.DC()->SetBrushOrg(0, 0);
    CRect rc(0, 0, 8, 8);
    canvas.DC()->FillRect(&rc, p1);
    // A checkerboard: neighbours differ, diagonal neighbours match.
    EXPECT_NE(canvas.Pixel(0, 0), canvas.Pixel(1, 0));
    EXPECT_NE(canvas.Pixel(0, 0), canvas.Pixel(0, 1));
    EXPECT_EQ(canvas.Pixel(0, 0), canvas.Pixel(1, 1));
    EXPECT_EQ(canvas.Pixel(2, 3), canvas.Pixel(3, 2));
}

// ---------------------------------------------------------------------------
// Pixels

TEST(DcPixels, GetPixelOutsideTheBitmapIsInvalid)
{
    Canvas canvas(10, 6);
    canvas.DC()->SetPixel(9, 5, kRed);
    EXPECT_EQ(kRed, canvas.DC()->GetPixel(9, 5));
    EXPECT_EQ(CLR_INVALID, canvas.DC()->GetPixel(10, 5));
    EXPECT_EQ(CLR_INVALID, canvas.DC()->GetPixel(9, 6));
    EXPECT_EQ(CLR_INVALID, canvas.DC()->GetPixel(-1, 0));
    EXPECT_EQ(CLR_INVALID, canvas.DC()->GetPixel(CPoint(0, -1)));
}

TEST(DcPixels, GetPixelBoundsFollowTheMapping)
{
    Canvas canvas(10, 10);
    canvas.DC()->SetViewportOrg(5, 5);
    canvas.DC()->SetPixel(-5, -5, kBlue); // device (0, 0)
    EXPECT_EQ(kBlue, canvas.Pixel(0, 0));
    EXPECT_EQ(kBlue, canvas.DC()->GetPixel(-5, -5));
    EXPECT_EQ(CLR_INVALID, canvas.DC()->GetPixel(5, 0)); // device (10, 5)
}

TEST(DcPixels, GetPixelWithoutABitmapIsInvalid)
{
    CDC dc;
    EXPECT_EQ(CLR_INVALID, dc.GetPixel(0, 0));
}

// ---------------------------------------------------------------------------
// Text

TEST(DcText, DrawTextCalcRectWritesTheMeasuredRect)
{
    Canvas canvas(200, 100);
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(100, "Tahoma"));
    CFont* pOld = canvas.DC()->SelectObject(&font);

    CString text("Measure me");
    CSize extent = canvas.DC()->GetTextExtent(text);
    CRect rc(10, 20, 10, 20);
    int nHeight = canvas.DC()->DrawText(text, &rc, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_EQ(10, rc.left);
    EXPECT_EQ(20, rc.top);
    EXPECT_EQ(extent.cx, rc.Width());
    EXPECT_EQ(nHeight, rc.Height());
    EXPECT_GT(nHeight, 0);
    // Nothing was drawn.
    for (int x = 0; x < 200; x += 7)
        for (int y = 0; y < 100; y += 5)
            ASSERT_EQ(kWhite, canvas.Pixel(x, y));

    // Word-wrapped in a narrow rect: several lines, none wider than the rect.
    CString words("ab cd ef gh ij kl mn op");
    int nLimit = canvas.DC()->GetTextExtent(words).cx / 2;
    CRect narrow(0, 0, nLimit, 0);
    int nWrapped = canvas.DC()->DrawText(words, &narrow, DT_CALCRECT | DT_WORDBREAK);
    EXPECT_GT(nWrapped, nHeight);
    EXPECT_LE(narrow.Width(), nLimit);
    EXPECT_GT(narrow.Width(), 0);
    canvas.DC()->SelectObject(pOld);
}

TEST(DcText, DrawTextPaintsInTheTextColour)
{
    Canvas canvas(100, 40);
    canvas.DC()->SetTextColor(kRed);
    canvas.DC()->SetBkMode(TRANSPARENT);
    CRect rc(0, 0, 100, 40);
    canvas.DC()->DrawText(CString("WWW"), &rc, DT_SINGLELINE | DT_LEFT | DT_TOP);
    bool bFound = false;
    for (int x = 0; x < 100 && !bFound; ++x)
        for (int y = 0; y < 40 && !bFound; ++y)
            bFound = canvas.Pixel(x, y) == kRed;
    EXPECT_TRUE(bFound);
}

TEST(DcText, CStringIsNeverModifiedByEllipsis)
{
    Canvas canvas(40, 20);
    CString text("A rather long text that cannot fit");
    CString copy(text);
    CRect rc(0, 0, 30, 20);
    canvas.DC()->DrawText(text, &rc, DT_SINGLELINE | DT_END_ELLIPSIS | DT_MODIFYSTRING);
    EXPECT_STREQ(copy, text);
    EXPECT_EQ(copy.GetLength(), text.GetLength());
}

TEST(DcText, TextFaceAndMetrics)
{
    Canvas canvas(10, 10);
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(100, "Tahoma"));
    CFont* pOld = canvas.DC()->SelectObject(&font);
    TEXTMETRIC tm;
    ASSERT_TRUE(canvas.DC()->GetTextMetrics(&tm));
    EXPECT_GT(tm.tmHeight, 0);
    CString face;
    EXPECT_GT(canvas.DC()->GetTextFace(face), 0);
    EXPECT_FALSE(face.IsEmpty());
    int widths[3] = {0};
    EXPECT_TRUE(canvas.DC()->GetCharWidth('a', 'c', widths));
    EXPECT_GT(widths[0], 0);
    EXPECT_EQ(CSize(0, 0), canvas.DC()->GetTextExtent(CString()));
    canvas.DC()->SelectObject(pOld);
}

// ---------------------------------------------------------------------------
// State: selections and setters return what was there before

TEST(DcState, SelectObjectReturnsThePreviousObject)
{
    Canvas canvas(4, 4);
    CPen first(PS_SOLID, 1, kRed);
    CPen second(PS_SOLID, 1, kBlue);
    CPen* pStock = canvas.DC()->SelectObject(&first);
    ASSERT_NE(nullptr, pStock);
    EXPECT_EQ(::GetStockObject(BLACK_PEN), pStock->m_hObject);
    // The previous object is the permanent wrapper when there is one.
    EXPECT_EQ(&first, canvas.DC()->SelectObject(&second));
    EXPECT_EQ(&second, canvas.DC()->GetCurrentPen());
    EXPECT_EQ(&second, canvas.DC()->SelectObject(pStock));
    EXPECT_EQ(NULL, canvas.DC()->SelectObject((CPen*)NULL));

    CBitmap* pCurrent = canvas.DC()->GetCurrentBitmap();
    EXPECT_EQ(canvas.BitmapObject(), pCurrent);
    AfxDeleteTempMaps();
}

TEST(DcState, ScopedSelectionRestoresTheDC)
{
    Canvas canvas(4, 4);
    HGDIOBJ hFontBefore = ::GetCurrentObject(canvas.DC()->m_hDC, OBJ_FONT);
    {
        CFont font;
        ASSERT_TRUE(font.CreatePointFont(80, "Tahoma"));
        CFont* pOld = canvas.DC()->SelectObject(&font);
        EXPECT_EQ(font.m_hObject, ::GetCurrentObject(canvas.DC()->m_hDC, OBJ_FONT));
        canvas.DC()->SelectObject(pOld);
    }
    EXPECT_EQ(hFontBefore, ::GetCurrentObject(canvas.DC()->m_hDC, OBJ_FONT));
    CGdiObject* pStock = canvas.DC()->SelectStockObject(NULL_BRUSH);
    ASSERT_NE(nullptr, pStock);
    EXPECT_EQ(::GetStockObject(NULL_BRUSH), ::GetCurrentObject(canvas.DC()->m_hDC, OBJ_BRUSH));
    canvas.DC()->SelectObject(pStock);
    AfxDeleteTempMaps();
}

TEST(DcState, SettersReturnTheOldValues)
{
    Canvas canvas(4, 4);
    CDC& dc = *canvas.DC();
    dc.SetTextColor(kRed);
    EXPECT_EQ(kRed, dc.SetTextColor(kBlue));
    EXPECT_EQ(kBlue, dc.GetTextColor());
    dc.SetBkColor(kGreen);
    EXPECT_EQ(kGreen, dc.SetBkColor(kRed));
    EXPECT_EQ(OPAQUE, dc.SetBkMode(TRANSPARENT));
    EXPECT_EQ(TRANSPARENT, dc.SetBkMode(OPAQUE));
    EXPECT_EQ(R2_COPYPEN, dc.SetROP2(R2_XORPEN));
    EXPECT_EQ(R2_XORPEN, dc.GetROP2());
    int nOldStretch = dc.SetStretchBltMode(HALFTONE);
    EXPECT_EQ(HALFTONE, dc.SetStretchBltMode(nOldStretch));
    EXPECT_EQ(ALTERNATE, dc.SetPolyFillMode(WINDING));
    EXPECT_EQ((UINT)(TA_TOP | TA_LEFT | TA_NOUPDATECP), dc.SetTextAlign(TA_BASELINE));
    EXPECT_EQ((UINT)TA_BASELINE, dc.GetTextAlign());
    EXPECT_EQ(MM_TEXT, dc.SetMapMode(MM_ANISOTROPIC));
    EXPECT_EQ(CPoint(0, 0), dc.SetWindowOrg(3, 4));
    EXPECT_EQ(CPoint(3, 4), dc.GetWindowOrg());
    EXPECT_EQ(CPoint(0, 0), dc.SetViewportOrg(5, 6));
    EXPECT_EQ(CPoint(5, 6), dc.OffsetViewportOrg(1, 1));
    EXPECT_EQ(CPoint(6, 7), dc.GetViewportOrg());
    EXPECT_EQ(CSize(1, 1), dc.SetWindowExt(10, 10));
    EXPECT_EQ(CSize(1, 1), dc.SetViewportExt(20, 30));
    EXPECT_EQ(CSize(20, 30), dc.GetViewportExt());
    EXPECT_EQ(CPoint(0, 0), dc.MoveTo(2, 2));
    EXPECT_EQ(CPoint(2, 2), dc.GetCurrentPosition());
}

TEST(DcState, SelectingARegionThroughTheBaseClipsAndAnswersNoObject)
{
    Canvas canvas(10, 10);
    CRgn rgn;
    rgn.CreateRectRgn(2, 2, 4, 4);
    CGdiObject* pBase = &rgn;
    INT_PTR nTemps = CGdiHandleMap::GetThreadMap()->GetTemporaryCount();
    EXPECT_EQ(nullptr, canvas.DC()->SelectObject(pBase));
    CRect box;
    canvas.DC()->GetClipBox(&box);
    EXPECT_EQ(CRect(2, 2, 4, 4), box);
    // No wrapper was made for the region type the system answered.
    EXPECT_EQ(nTemps, CGdiHandleMap::GetThreadMap()->GetTemporaryCount());
}

TEST(DcState, LayoutIsBoundAtRunTime)
{
    Canvas canvas(4, 4);
    DWORD dwOld = canvas.DC()->SetLayout(LAYOUT_RTL);
    if (dwOld == GDI_ERROR)
        GTEST_SKIP() << "the system has no layout entry points";
    EXPECT_EQ(0u, dwOld);
    EXPECT_EQ((DWORD)LAYOUT_RTL, canvas.DC()->GetLayout());
    EXPECT_EQ((DWORD)LAYOUT_RTL, canvas.DC()->SetLayout(0));
}

TEST(DcState, SaveAndRestore)
{
    Canvas canvas(4, 4);
    canvas.DC()->SetTextColor(kRed);
    int nSaved = canvas.DC()->SaveDC();
    ASSERT_NE(0, nSaved);
    canvas.DC()->SetTextColor(kBlue);
    EXPECT_TRUE(canvas.DC()->RestoreDC(nSaved));
    EXPECT_EQ(kRed, canvas.DC()->GetTextColor());
}

TEST(DcState, ClippingLimitsOutput)
{
    Canvas canvas(10, 10);
    canvas.DC()->IntersectClipRect(0, 0, 5, 10);
    CRect box;
    EXPECT_NE(ERROR, canvas.DC()->GetClipBox(&box));
    EXPECT_EQ(CRect(0, 0, 5, 10), box);
    EXPECT_TRUE(canvas.DC()->PtVisible(4, 4));
    EXPECT_FALSE(canvas.DC()->PtVisible(6, 4));
    canvas.DC()->FillSolidRect(0, 0, 10, 10, kRed);
    EXPECT_EQ(kRed, canvas.Pixel(4, 4));
    EXPECT_EQ(kWhite, canvas.Pixel(6, 4));

    canvas.DC()->SelectClipRgn(NULL);
    CRgn rgn;
    rgn.CreateRectRgn(6, 6, 8, 8);
    canvas.DC()->SelectClipRgn(&rgn);
    canvas.DC()->FillSolidRect(0, 0, 10, 10, kBlue);
    EXPECT_EQ(kBlue, canvas.Pixel(7, 7));
    EXPECT_EQ(kRed, canvas.Pixel(4, 4));
}

// ---------------------------------------------------------------------------
// Coordinates

TEST(DcCoordinates, PointsRectsAndSizes)
{
    Canvas canvas(4, 4);
    CDC& dc = *canvas.DC();
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(1, 1);
    dc.SetViewportExt(2, -2);
    dc.SetViewportOrg(10, 100);

    CPoint pt(3, 4);
    dc.LPtoDP(&pt);
    EXPECT_EQ(CPoint(16, 92), pt);
    dc.DPtoLP(&pt);
    EXPECT_EQ(CPoint(3, 4), pt);

    CRect rc(0, 0, 5, 5);
    dc.LPtoDP(&rc);
    EXPECT_EQ(CRect(10, 100, 20, 90), rc);

    // Sizes scale without origin or sign flip.
    CSize size(5, 5);
    dc.LPtoDP(&size);
    EXPECT_EQ(CSize(10, 10), size);
    dc.DPtoLP(&size);
    EXPECT_EQ(CSize(5, 5), size);

    CSize hm(dc.GetDeviceCaps(LOGPIXELSX), dc.GetDeviceCaps(LOGPIXELSY));
    dc.DPtoHIMETRIC(&hm);
    EXPECT_EQ(CSize(2540, 2540), hm);
    dc.HIMETRICtoDP(&hm);
    EXPECT_EQ(CSize(dc.GetDeviceCaps(LOGPIXELSX), dc.GetDeviceCaps(LOGPIXELSY)), hm);
}

// ---------------------------------------------------------------------------
// Temporaries and handles

TEST(DcHandles, FromHandleOfAForeignDC)
{
    HDC hDC = ::CreateCompatibleDC(NULL);
    CDC* pTemp = CDC::FromHandle(hDC);
    ASSERT_NE(nullptr, pTemp);
    EXPECT_EQ(hDC, pTemp->m_hDC);
    EXPECT_EQ(hDC, pTemp->m_hAttribDC);
    EXPECT_FALSE(pTemp->IsPrinting());
    EXPECT_EQ(pTemp, CDC::FromHandle(hDC));
    AfxDeleteTempMaps();
    // The temporary never deleted the DC.
    EXPECT_EQ((DWORD)OBJ_MEMDC, ::GetObjectType(hDC));
    ::DeleteDC(hDC);
}

TEST(DcHandles, AttachDetachAndDelete)
{
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(NULL));
    HDC h = dc.m_hDC;
    EXPECT_EQ(&dc, CDC::FromHandle(h));
    EXPECT_EQ(h, dc.Detach());
    EXPECT_EQ(NULL, dc.m_hDC);
    EXPECT_EQ(NULL, dc.m_hAttribDC);
    CDC other;
    other.Attach(h);
    EXPECT_TRUE(other.DeleteDC());
    EXPECT_EQ(0u, ::GetObjectType(h));
}

TEST(DcHandles, NoHandlesLeakFromDrawing)
{
    // Warm up anything made once per process.
    CDC::GetHalftoneBrush();
    DWORD dwBefore = testsupport::GdiHighWater();
    std::vector<HGDIOBJ> made;
    for (int i = 0; i < 20; ++i)
    {
        Canvas canvas(16, 16);
        CFont font;
        font.CreatePointFont(90, "Tahoma");
        CPen pen(PS_SOLID, 2, kRed);
        CBrush brush(kBlue);
        CFont* pOldFont = canvas.DC()->SelectObject(&font);
        CPen* pOldPen = canvas.DC()->SelectObject(&pen);
        CBrush* pOldBrush = canvas.DC()->SelectObject(&brush);
        canvas.DC()->Ellipse(0, 0, 10, 10);
        canvas.DC()->TextOut(0, 0, CString("x"));
        canvas.DC()->GetCurrentFont();
        canvas.DC()->SelectObject(pOldFont);
        canvas.DC()->SelectObject(pOldPen);
        canvas.DC()->SelectObject(pOldBrush);
        made.push_back(font.m_hObject);
        made.push_back(pen.m_hObject);
        made.push_back(brush.m_hObject);
        made.push_back(canvas.Bitmap());
    }
    AfxDeleteTempMaps();
    DWORD dwAfter = testsupport::GdiHighWater();
    EXPECT_EQ(dwBefore, dwAfter);
    // And every handle made above is gone.
    for (HGDIOBJ h : made)
        EXPECT_EQ(0u, ::GetObjectType(h));
}

// ---------------------------------------------------------------------------
// Metafile DCs (the printing path draws on any DC)

TEST(DcMetafile, EnhancedRecordingPlaysBack)
{
    // A frame of 10 x 10 screen pixels, in .01 mm.
    HDC hScreen = ::GetDC(NULL);
    CRect frame(0, 0, ::MulDiv(1000, ::GetDeviceCaps(hScreen, HORZSIZE), ::GetDeviceCaps(hScreen, HORZRES)),
                ::MulDiv(1000, ::GetDeviceCaps(hScreen, VERTSIZE), ::GetDeviceCaps(hScreen, VERTRES)));
    ::ReleaseDC(NULL, hScreen);
    CMetaFileDC meta;
    ASSERT_TRUE(meta.CreateEnhanced(NULL, NULL, &frame, "test\0\0"));
    EXPECT_NE(meta.m_hDC, meta.m_hAttribDC);
    EXPECT_NE(nullptr, meta.m_hAttribDC);
    EXPECT_FALSE(meta.IsPrinting());

    // Queries work through the attribute DC.
    CFont font;
    font.CreatePointFont(100, "Tahoma", &meta);
    CFont* pOld = meta.SelectObject(&font);
    EXPECT_GT(meta.GetTextExtent(CString("abc")).cx, 0);
    meta.SelectObject(pOld);
    meta.SetTextColor(kRed);
    EXPECT_EQ(kRed, meta.GetTextColor());
    meta.FillSolidRect(0, 0, 10, 10, kBlue);

    HENHMETAFILE hEmf = meta.CloseEnhanced();
    ASSERT_NE(nullptr, hEmf);
    EXPECT_EQ(NULL, meta.m_hDC);
    EXPECT_EQ(NULL, meta.m_hAttribDC);

    // Played into 10 x 10 pixels, the fill covers them and nothing beyond.
    Canvas canvas(20, 20);
    CRect target(0, 0, 10, 10);
    ::PlayEnhMetaFile(canvas.DC()->m_hDC, hEmf, &target);
    EXPECT_EQ(kBlue, canvas.Pixel(4, 4));
    EXPECT_EQ(kWhite, canvas.Pixel(15, 15));
    ::DeleteEnhMetaFile(hEmf);
}

TEST(DcMetafile, StateChangesDoNotReachTheReferenceDC)
{
    Canvas reference(4, 4);
    reference.DC()->SetMapMode(MM_TEXT);
    reference.DC()->SetTextColor(kGreen);
    {
        CMetaFileDC meta;
        ASSERT_TRUE(meta.CreateEnhanced(reference.DC(), NULL, NULL, NULL));
        meta.SetMapMode(MM_LOMETRIC);
        meta.SetTextColor(kRed);
        EXPECT_EQ(MM_LOMETRIC, meta.GetMapMode());
        // Abandoned recording: the destructor cleans up.
    }
    EXPECT_EQ(MM_TEXT, reference.DC()->GetMapMode());
    EXPECT_EQ(kGreen, reference.DC()->GetTextColor());
}

TEST(DcMetafile, OldStyleMetafile)
{
    CMetaFileDC meta;
    ASSERT_TRUE(meta.Create());
    meta.Rectangle(0, 0, 10, 10);
    EXPECT_EQ(NULL, meta.CloseEnhanced()); // wrong kind: nothing happens
    HMETAFILE hMf = meta.Close();
    ASSERT_NE(nullptr, hMf);
    ::DeleteMetaFile(hMf);
}
