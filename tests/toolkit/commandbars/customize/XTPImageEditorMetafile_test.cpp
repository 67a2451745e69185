// The checked metafile reader of the button image editor: pictures that GDI
// itself records are read and drawn exactly as the system draws them;
// damaged ones (the kept files that crashed the editor, ate memory or time,
// and a few hundred damaged copies of recorded pictures) are refused with a
// reason or drawn, never crash, and stay within loose memory and time bounds.
#include <gtest/gtest.h>

#include "XTPImageEditorMetafile.h"
#include "support/canvas.h"
#include "support/data_files.h"
#include "support/gdi_count.h"
#include "support/memory.h"
#include "support/metafiles.h"
#include "support/snapshot.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace
{
const int kSide = 32;

using testsupport::Damage;
using testsupport::DrawPicture;
using testsupport::GetDword;
using testsupport::Lcg;
using testsupport::PlayBySystem;
using testsupport::PutDword;
using testsupport::RecordEnh;
using testsupport::RecordPlaceable;

// The offset of the nth record of the kind in an enhanced metafile; 0 for none.
size_t FindEnhRecord(const std::vector<BYTE>& emf, DWORD iType, int nth = 0)
{
    for (size_t nAt = 0; nAt + 8 <= emf.size();)
    {
        const DWORD nSize = GetDword(emf, nAt + 4);
        if (GetDword(emf, nAt) == iType && nth-- == 0)
            return nAt;
        if (nSize < 8)
            break;
        nAt += nSize;
    }
    return 0;
}

// The result of the checked player and of the system's own on fresh canvases.
struct PlayResult
{
    BOOL bPlayed = FALSE;
    CString strProblem;
    std::vector<COLORREF> pixels;
};

PlayResult PlayChecked(const std::vector<BYTE>& data, int nSide = kSide)
{
    PlayResult result;
    testsupport::Canvas canvas(nSide, nSide, RGB(255, 254, 255));
    RECT rc = {0, 0, nSide, nSide};
    result.bPlayed = XTPPlayMetafileData(canvas.DC()->GetSafeHdc(), rc, data.data(), data.size(), result.strProblem);
    ::GdiFlush();
    for (int y = 0; y < nSide; y++)
        for (int x = 0; x < nSide; x++)
            result.pixels.push_back(canvas.Pixel(x, y));
    return result;
}


int CountChanged(const std::vector<COLORREF>& pixels)
{
    int n = 0;
    for (COLORREF clr : pixels)
        n += clr != RGB(255, 254, 255) ? 1 : 0;
    return n;
}

void SaveSnapshot(const std::vector<COLORREF>& pixels, int nSide, const char* pszName)
{
    const int nZoom = 8;
    testsupport::Canvas out(nSide * nZoom, nSide * nZoom);
    for (int y = 0; y < nSide; y++)
        for (int x = 0; x < nSide; x++)
        {
            RECT rc = {x * nZoom, y * nZoom, (x + 1) * nZoom, (y + 1) * nZoom};
            HBRUSH hBrush = ::CreateSolidBrush(pixels[y * nSide + x]);
            ::FillRect(out.DC()->GetSafeHdc(), &rc, hBrush);
            ::DeleteObject(hBrush);
        }
    ::GdiFlush();
    EXPECT_FALSE(testsupport::SaveSnapshot(out, pszName).empty());
}

SIZE_T PeakMemory()
{
    const SIZE_T nPeak = testsupport::PeakProcessMemory();
    EXPECT_NE(0u, nPeak) << "the system says how much memory the process holds";
    return nPeak;
}

// How much the peak grew since nBefore.
SIZE_T PeakGrowth(SIZE_T nBefore)
{
    const SIZE_T nNow = PeakMemory();
    return nNow > nBefore ? nNow - nBefore : 0;
}

} // namespace

TEST(XTPImageEditorMetafileTest, PicturesRecordedByGdiAreDrawnAsTheSystemDrawsThem)
{
    const std::vector<BYTE> emf = RecordEnh([](HDC hDC) { DrawPicture(hDC, true); });
    const std::vector<BYTE> wmf = RecordPlaceable([](HDC hDC) { DrawPicture(hDC, false); });
    ASSERT_FALSE(emf.empty());
    ASSERT_FALSE(wmf.empty());

    const struct
    {
        const char* pszName;
        const std::vector<BYTE>* pData;
    } kPictures[] = {{"enhanced", &emf}, {"placeable", &wmf}};
    for (const auto& picture : kPictures)
    {
        CString strProblem;
        EXPECT_TRUE(XTPCheckMetafileData(picture.pData->data(), picture.pData->size(), strProblem))
            << picture.pszName << ": " << (LPCTSTR)strProblem;
        PlayResult result = PlayChecked(*picture.pData);
        ASSERT_TRUE(result.bPlayed) << picture.pszName << ": " << (LPCTSTR)result.strProblem;
        EXPECT_GT(CountChanged(result.pixels), kSide * kSide / 2) << picture.pszName;
        EXPECT_EQ(PlayBySystem(*picture.pData), result.pixels) << picture.pszName;
        SaveSnapshot(result.pixels, kSide, picture.pszName);
    }

    // A plain metafile has no size of its own: refused, as is anything else.
    const std::vector<BYTE> plain(wmf.begin() + 22, wmf.end());
    CString strProblem;
    EXPECT_FALSE(XTPCheckMetafileData(plain.data(), plain.size(), strProblem));
    EXPECT_FALSE(strProblem.IsEmpty());
    EXPECT_FALSE(PlayChecked(plain).bPlayed);
    const BYTE noise[200] = {1, 0, 0, 0};
    EXPECT_FALSE(XTPCheckMetafileData(noise, sizeof(noise), strProblem));
    EXPECT_FALSE(XTPCheckMetafileData(NULL, 0, strProblem));
}

TEST(XTPImageEditorMetafileTest, TheKeptDamagedFilesAreRefusedWithAReason)
{
    const char* const kFiles[] = {"damaged-emf-polyline-count.emf",       "damaged-emf-polyline-count-named.gif",
                                  "damaged-emf-stretchdibits-offset.emf", "damaged-wmf-polygon-count.wmf",
                                  "damaged-wmf-selectobject-index.wmf",   "damaged-emf-slow.emf",
                                  "damaged-emf-huge-allocation.emf"};
    const SIZE_T nPeakBefore = PeakMemory();
    for (const char* pszFile : kFiles)
    {
        const std::vector<BYTE> data = testsupport::ReadDataFile(pszFile);
        ASSERT_FALSE(data.empty()) << testsupport::DataFilePath(pszFile);
        const DWORD dwStart = ::GetTickCount();
        PlayResult result = PlayChecked(data, 16);
        const DWORD dwTook = ::GetTickCount() - dwStart;
        EXPECT_FALSE(result.bPlayed) << pszFile;
        EXPECT_FALSE(result.strProblem.IsEmpty()) << pszFile;
        std::printf("%s: %s\n", pszFile, (LPCTSTR)result.strProblem);
        // Far below the seconds the damaged files took, far above what a
        // refusal takes on a busy machine.
        EXPECT_LT(dwTook, 5000u) << pszFile;
    }
    EXPECT_LT(PeakGrowth(nPeakBefore), (SIZE_T)100 * 1024 * 1024) << "the damaged files were refused cheaply";

    // What each damage is: the record contents that lie are refused by the
    // check of the file alone; the slow and huge files only by what playing
    // their sound records would cost.
    CString strProblem;
    EXPECT_FALSE(XTPCheckMetafileData(testsupport::ReadDataFile("damaged-emf-polyline-count.emf").data(), 960,
                                      strProblem));
    EXPECT_NE(-1, strProblem.Find(_T("points do not fit")));
    EXPECT_FALSE(XTPCheckMetafileData(testsupport::ReadDataFile("damaged-emf-stretchdibits-offset.emf").data(), 960,
                                      strProblem));
    EXPECT_NE(-1, strProblem.Find(_T("bitmap past the end")));
    EXPECT_FALSE(XTPCheckMetafileData(testsupport::ReadDataFile("damaged-wmf-polygon-count.wmf").data(), 344,
                                      strProblem));
    EXPECT_NE(-1, strProblem.Find(_T("points do not fit")));
    EXPECT_FALSE(XTPCheckMetafileData(testsupport::ReadDataFile("damaged-wmf-selectobject-index.wmf").data(), 344,
                                      strProblem));
    EXPECT_NE(-1, strProblem.Find(_T("object 60000")));
    // Mended where it was damaged, the kept enhanced picture (made by
    // another writer than the tests') is drawn as the system draws it.
    std::vector<BYTE> mendedEmf = testsupport::ReadDataFile("damaged-emf-polyline-count.emf");
    ASSERT_EQ(0x10000000u, GetDword(mendedEmf, 256));
    PutDword(mendedEmf, 256, 5);
    PlayResult mended = PlayChecked(mendedEmf, 16);
    EXPECT_TRUE(mended.bPlayed) << (LPCTSTR)mended.strProblem;
    EXPECT_GT(CountChanged(mended.pixels), 64);
    EXPECT_EQ(PlayBySystem(mendedEmf, 16), mended.pixels);
    SaveSnapshot(mended.pixels, 16, "kept_emf_mended");
    // The kept placeable picture, its object indexes mended, still holds a
    // bitmap record whose bits its writer left out: the system would read
    // them from past the end of the file.
    std::vector<BYTE> mendedWmf = testsupport::ReadDataFile("damaged-wmf-selectobject-index.wmf");
    ASSERT_EQ(0xEA60, mendedWmf[82] | (mendedWmf[83] << 8));
    mendedWmf[82] = 0;
    mendedWmf[83] = 0;
    mendedWmf[104] = 1;
    mendedWmf[105] = 0;
    mended = PlayChecked(mendedWmf, 16);
    EXPECT_FALSE(mended.bPlayed);
    EXPECT_NE(-1, mended.strProblem.Find(_T("0 bytes of bits"))) << (LPCTSTR)mended.strProblem;

    const std::vector<BYTE> slow = testsupport::ReadDataFile("damaged-emf-slow.emf");
    EXPECT_FALSE(PlayChecked(slow, 16).bPlayed);
    const std::vector<BYTE> huge = testsupport::ReadDataFile("damaged-emf-huge-allocation.emf");
    PlayResult hugeResult = PlayChecked(huge, 16);
    EXPECT_FALSE(hugeResult.bPlayed);
    EXPECT_NE(-1, hugeResult.strProblem.Find(_T("pen far wider")));
}

TEST(XTPImageEditorMetafileTest, RecordsThatWouldDrawHugeAreasPensOrFontsStopThePlaying)
{
    // Far outside the picture's frame.
    std::vector<BYTE> outside = RecordEnh([](HDC hDC) {
        ::Rectangle(hDC, 0, 0, 16, 16);
        ::Ellipse(hDC, -100000, -100000, 100000, 100000);
    });
    PlayResult result = PlayChecked(outside);
    EXPECT_FALSE(result.bPlayed);
    EXPECT_NE(-1, result.strProblem.Find(_T("far outside"))) << (LPCTSTR)result.strProblem;

    // A pen wider than the picture many times over, and the same pen where
    // the picture's own mapping makes it small.
    auto WidePen = [](HDC hDC, bool bScaled) {
        if (bScaled)
        {
            ::SetMapMode(hDC, MM_ANISOTROPIC);
            ::SetWindowExtEx(hDC, 32000, 32000, NULL);
            ::SetViewportExtEx(hDC, kSide, kSide, NULL);
        }
        HPEN hPen = ::CreatePen(PS_SOLID, 5000, RGB(0, 0, 255));
        HGDIOBJ hOld = ::SelectObject(hDC, hPen);
        ::MoveToEx(hDC, 0, 0, NULL);
        ::LineTo(hDC, bScaled ? 16000 : 16, bScaled ? 16000 : 16);
        ::SelectObject(hDC, hOld);
        ::DeleteObject(hPen);
    };
    result = PlayChecked(RecordEnh([&](HDC hDC) { WidePen(hDC, false); }));
    EXPECT_FALSE(result.bPlayed);
    EXPECT_NE(-1, result.strProblem.Find(_T("pen far wider"))) << (LPCTSTR)result.strProblem;
    std::vector<BYTE> scaled = RecordEnh([&](HDC hDC) { WidePen(hDC, true); });
    result = PlayChecked(scaled);
    EXPECT_TRUE(result.bPlayed) << (LPCTSTR)result.strProblem;
    EXPECT_EQ(PlayBySystem(scaled), result.pixels);

    // A font whose letters would be thousands of pixels high.
    result = PlayChecked(RecordEnh([](HDC hDC) {
        HFONT hFont = ::CreateFontA(-3000, 0, 0, 0, 0, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Tahoma");
        HGDIOBJ hOld = ::SelectObject(hDC, hFont);
        ::TextOutA(hDC, 0, 0, "W", 1);
        ::SelectObject(hDC, hOld);
        ::DeleteObject(hFont);
    }));
    EXPECT_FALSE(result.bPlayed);
    EXPECT_NE(-1, result.strProblem.Find(_T("font far larger"))) << (LPCTSTR)result.strProblem;

    // Many curves, each allowed, with a pen as wide as allowed: together
    // they would take seconds, so the playing stops; with a thin pen they
    // cost little and are drawn.
    auto ManyCurves = [](HDC hDC, int nWidth) {
        HPEN hPen = ::CreatePen(PS_SOLID, nWidth, RGB(0, 0, 255));
        HGDIOBJ hOld = ::SelectObject(hDC, hPen);
        for (int i = 0; i < 5000; i++)
            ::Ellipse(hDC, -kSide * 2 + i % 3, -kSide * 2, kSide * 3, kSide * 3 - i % 5);
        ::SelectObject(hDC, hOld);
        ::DeleteObject(hPen);
    };
    const DWORD dwStart = ::GetTickCount();
    result = PlayChecked(RecordEnh([&](HDC hDC) { ManyCurves(hDC, kSide * 4); }));
    EXPECT_FALSE(result.bPlayed);
    EXPECT_NE(-1, result.strProblem.Find(_T("would cost more"))) << (LPCTSTR)result.strProblem;
    // Seconds before the bound; a refusal is quick even on a busy machine.
    EXPECT_LT(::GetTickCount() - dwStart, 5000u);
    std::vector<BYTE> thin = RecordEnh([&](HDC hDC) { ManyCurves(hDC, 1); });
    result = PlayChecked(thin);
    EXPECT_TRUE(result.bPlayed) << (LPCTSTR)result.strProblem;
    XTP_METAFILE_LIMITS tight = XTPMetafileDefaultLimits();
    tight.nMaxDrawCost = 1000;
    CString strTight;
    testsupport::Canvas canvas(kSide, kSide);
    const RECT rcCanvas = {0, 0, kSide, kSide};
    EXPECT_FALSE(XTPPlayMetafileData(canvas.DC()->GetSafeHdc(), rcCanvas, thin.data(), thin.size(), strTight, tight));
    EXPECT_NE(-1, strTight.Find(_T("would cost more"))) << (LPCTSTR)strTight;

    // A restored state brings back the wide pen it was saved with.
    result = PlayChecked(RecordEnh([](HDC hDC) {
        HPEN hWide = ::CreatePen(PS_SOLID, 5000, RGB(0, 0, 255));
        HGDIOBJ hOld = ::SelectObject(hDC, hWide);
        ::SaveDC(hDC);
        ::SelectObject(hDC, ::GetStockObject(BLACK_PEN));
        ::LineTo(hDC, 4, 4);
        ::RestoreDC(hDC, -1);
        ::LineTo(hDC, 8, 8);
        ::SelectObject(hDC, hOld);
        ::DeleteObject(hWide);
    }));
    EXPECT_FALSE(result.bPlayed);
    EXPECT_NE(-1, result.strProblem.Find(_T("pen far wider"))) << (LPCTSTR)result.strProblem;
}

TEST(XTPImageEditorMetafileTest, RecordsOfUnknownKindsAndLyingObjectsAreRefused)
{
    const std::vector<BYTE> emf = RecordEnh([](HDC hDC) {
        HBRUSH hBrush = ::CreateSolidBrush(RGB(255, 0, 0));
        HGDIOBJ hOld = ::SelectObject(hDC, hBrush);
        ::SetBkMode(hDC, TRANSPARENT);
        ::Rectangle(hDC, 1, 1, 30, 30);
        ::SelectObject(hDC, hOld);
        ::DeleteObject(hBrush);
    });
    CString strProblem;
    ASSERT_TRUE(XTPCheckMetafileData(emf.data(), emf.size(), strProblem)) << (LPCTSTR)strProblem;

    // A kind the reader does not know (here where SetBkMode stood).
    std::vector<BYTE> unknown = emf;
    const size_t nBkMode = FindEnhRecord(emf, EMR_SETBKMODE);
    ASSERT_NE(0u, nBkMode);
    PutDword(unknown, nBkMode, 105);
    EXPECT_FALSE(XTPCheckMetafileData(unknown.data(), unknown.size(), strProblem));
    EXPECT_NE(-1, strProblem.Find(_T("not read"))) << (LPCTSTR)strProblem;

    // Selecting an object the table cannot hold, one never made, and making
    // one where another still lives.
    const size_t nSelect = FindEnhRecord(emf, EMR_SELECTOBJECT);
    const size_t nCreate = FindEnhRecord(emf, EMR_CREATEBRUSHINDIRECT);
    ASSERT_NE(0u, nSelect);
    ASSERT_NE(0u, nCreate);
    std::vector<BYTE> beyond = emf;
    PutDword(beyond, nSelect + 8, 60000);
    EXPECT_FALSE(XTPCheckMetafileData(beyond.data(), beyond.size(), strProblem));
    EXPECT_NE(-1, strProblem.Find(_T("object 60000"))) << (LPCTSTR)strProblem;
    std::vector<BYTE> neverMade = emf;
    PutDword(neverMade, nCreate + 8, 0);
    EXPECT_FALSE(XTPCheckMetafileData(neverMade.data(), neverMade.size(), strProblem));
    std::vector<BYTE> deletedFirst = emf;
    const size_t nDelete = FindEnhRecord(emf, EMR_DELETEOBJECT);
    ASSERT_NE(0u, nDelete);
    PutDword(deletedFirst, nSelect, EMR_DELETEOBJECT);   // deleted, then selected again by the next select
    PutDword(deletedFirst, nSelect + 8, GetDword(emf, nCreate + 8));
    const size_t nSelectBack = FindEnhRecord(emf, EMR_SELECTOBJECT, 1);
    ASSERT_NE(0u, nSelectBack);
    PutDword(deletedFirst, nSelectBack + 8, GetDword(emf, nCreate + 8));
    EXPECT_FALSE(XTPCheckMetafileData(deletedFirst.data(), deletedFirst.size(), strProblem));
    EXPECT_NE(-1, strProblem.Find(_T("never made"))) << (LPCTSTR)strProblem;

    // A header that counts other records than the file has, and an object
    // table or a record count beyond the limits.
    std::vector<BYTE> miscounted = emf;
    PutDword(miscounted, 52, GetDword(emf, 52) + 1);
    EXPECT_FALSE(XTPCheckMetafileData(miscounted.data(), miscounted.size(), strProblem));
    XTP_METAFILE_LIMITS limits = XTPMetafileDefaultLimits();
    limits.nMaxRecords = 3;
    EXPECT_FALSE(XTPCheckMetafileData(emf.data(), emf.size(), strProblem, limits));
    limits = XTPMetafileDefaultLimits();
    std::vector<BYTE> bigTable = emf;
    bigTable[56] = 0xFF;
    bigTable[57] = 0xFF;
    EXPECT_FALSE(XTPCheckMetafileData(bigTable.data(), bigTable.size(), strProblem, limits));
    EXPECT_NE(-1, strProblem.Find(_T("object table"))) << (LPCTSTR)strProblem;
    limits.nMaxPoints = 2;
    EXPECT_FALSE(XTPCheckMetafileData(emf.data(), emf.size(), strProblem, limits));
}

TEST(XTPImageEditorMetafileTest, DamagedCopiesOfRecordedPicturesNeverCrashAndStayCheap)
{
    const std::vector<BYTE> emf = RecordEnh([](HDC hDC) { DrawPicture(hDC, true); });
    const std::vector<BYTE> wmf = RecordPlaceable([](HDC hDC) { DrawPicture(hDC, false); });
    ASSERT_FALSE(emf.empty());
    ASSERT_FALSE(wmf.empty());

    // A first round makes what is made once (fonts, caches).
    PlayChecked(emf, 16);
    PlayChecked(wmf, 16);
    const DWORD dwGdiBefore = testsupport::GdiHighWater();
    const SIZE_T nPeakBefore = PeakMemory();
    int nRefused = 0, nDrawn = 0;
    DWORD dwSlowest = 0;
    const DWORD kCases = 600;
    for (DWORD dwSeed = 1; dwSeed <= kCases; dwSeed++)
    {
        const bool bEnhanced = dwSeed % 2 == 0;
        // The enhanced header's frame and counts are damaged too; the
        // placeable one is checked in its own cases below.
        const std::vector<BYTE> data = bEnhanced ? Damage(emf, dwSeed, 8, true) : Damage(wmf, dwSeed, 22, false);
        const DWORD dwStart = ::GetTickCount();
        PlayResult result = PlayChecked(data, 16);
        const DWORD dwTook = ::GetTickCount() - dwStart;
        dwSlowest = std::max(dwSlowest, dwTook);
        EXPECT_LT(dwTook, 5000u) << "seed " << dwSeed;
        if (result.bPlayed)
        {
            nDrawn++;
            // What the check lets through the system draws the same way.
            EXPECT_EQ(PlayBySystem(data, 16), result.pixels) << "seed " << dwSeed;
        }
        else
        {
            nRefused++;
            EXPECT_FALSE(result.strProblem.IsEmpty()) << "seed " << dwSeed;
        }
    }
    // Damaged placeable headers: frames, counts and table sizes that lie.
    for (DWORD dwSeed = 1; dwSeed <= 60; dwSeed++)
    {
        std::vector<BYTE> data = wmf;
        Lcg rnd(dwSeed);
        const size_t nAt = 6 + (rnd.Next() % 17) * 2;
        const WORD w = (WORD)(rnd.Next() & 1 ? rnd.Next() : 0xFFFF - (rnd.Next() % 4));
        memcpy(&data[nAt], &w, 2);
        PlayResult result = PlayChecked(data, 16);
        if (!result.bPlayed)
        {
            EXPECT_FALSE(result.strProblem.IsEmpty()) << "header seed " << dwSeed;
        }
    }
    std::printf("%d damaged copies refused, %d drawn; slowest %lu ms\n", nRefused, nDrawn, (unsigned long)dwSlowest);
    EXPECT_GT(nRefused, (int)kCases / 4);
    EXPECT_GT(nDrawn, 0);
    EXPECT_LT(PeakGrowth(nPeakBefore), (SIZE_T)100 * 1024 * 1024);
    EXPECT_LE(testsupport::GdiHighWater(), dwGdiBefore + 2) << "no object made by a record is left behind";
}

TEST(XTPImageEditorMetafileTest, PatternFillsRegionsScalingAndCopiesWithoutABitmapAreBoundedBeforeTheSystemSeesThem)
{
    // Each fill with a pattern brush makes the system convert the whole
    // pattern again: a large one is refused after a few fills, a small one
    // is drawn as the system draws it.
    auto PatternFills = [](HDC hDC, int nSide, int nFills) {
        std::vector<BYTE> dib(sizeof(BITMAPINFOHEADER) + 8 + (size_t)((nSide + 31) / 32) * 4 * nSide, 0x5A);
        BITMAPINFOHEADER header = {sizeof(BITMAPINFOHEADER), nSide, nSide, 1, 1, BI_RGB, 0, 0, 0, 2, 0};
        memcpy(dib.data(), &header, sizeof(header));
        const DWORD palette[2] = {0x000000FF, 0x0000FF00};
        memcpy(dib.data() + sizeof(header), palette, sizeof(palette));
        HBRUSH hBrush = ::CreateDIBPatternBrushPt(dib.data(), DIB_RGB_COLORS);
        HGDIOBJ hOld = ::SelectObject(hDC, hBrush);
        for (int i = 0; i < nFills; i++)
            ::Rectangle(hDC, i % 8, 0, 32, 32);
        ::SelectObject(hDC, hOld);
        ::DeleteObject(hBrush);
    };
    CString strProblem;
    const std::vector<BYTE> large = RecordEnh([&](HDC hDC) { PatternFills(hDC, 2048, 20); });
    EXPECT_FALSE(XTPCheckMetafileData(large.data(), large.size(), strProblem));
    EXPECT_NE(-1, strProblem.Find(_T("would cost more"))) << (LPCTSTR)strProblem;
    const std::vector<BYTE> small = RecordEnh([&](HDC hDC) { PatternFills(hDC, 8, 200); });
    PlayResult result = PlayChecked(small);
    EXPECT_TRUE(result.bPlayed) << (LPCTSTR)result.strProblem;
    EXPECT_EQ(PlayBySystem(small), result.pixels);

    // Regions are built rectangle by rectangle: many large ones are
    // refused, a few small ones drawn.
    auto Regions = [](HDC hDC, int nRects, int nRegions) {
        for (int n = 0; n < nRegions; n++)
        {
            HRGN hRgn = ::CreateRectRgn(0, 0, 0, 0);
            for (int i = 0; i < nRects; i++)
            {
                HRGN hDot = ::CreateRectRgn(i * 2, i * 2, i * 2 + 1, i * 2 + 1);
                ::CombineRgn(hRgn, hRgn, hDot, RGN_OR);
                ::DeleteObject(hDot);
            }
            ::ExtSelectClipRgn(hDC, hRgn, RGN_COPY);
            ::DeleteObject(hRgn);
        }
        ::Rectangle(hDC, 0, 0, 32, 32);
    };
    const std::vector<BYTE> regions = RecordEnh([&](HDC hDC) { Regions(hDC, 3000, 4); });
    EXPECT_FALSE(XTPCheckMetafileData(regions.data(), regions.size(), strProblem));
    EXPECT_NE(-1, strProblem.Find(_T("would cost more"))) << (LPCTSTR)strProblem;
    const std::vector<BYTE> clipped = RecordEnh([&](HDC hDC) { Regions(hDC, 12, 4); });
    result = PlayChecked(clipped);
    EXPECT_TRUE(result.bPlayed) << (LPCTSTR)result.strProblem;
    EXPECT_EQ(PlayBySystem(clipped), result.pixels);

    // A bitmap copy without a bitmap but with its offset set far away: the
    // player would read the bitmap from there.
    for (const char* pszFile : {"c01_emf_bitblt_nobmi_far.emf", "c02_emf_stretchblt_nobmi_far.emf",
                                "c03_emf_bitblt_nobmi_64k.emf"})
    {
        const std::vector<BYTE> data = testsupport::ReadDataFile((std::string("crafted-metafiles/") + pszFile).c_str());
        EXPECT_FALSE(XTPCheckMetafileData(data.data(), data.size(), strProblem)) << pszFile;
        EXPECT_NE(-1, strProblem.Find(_T("no bytes at offset"))) << (LPCTSTR)strProblem;
    }
    // A bitmap header of 44 bytes with colour masks: the system reads the
    // masks after it, twelve bytes the record does not have.
    const std::vector<BYTE> masks = testsupport::ReadDataFile("crafted-metafiles/c20_wmf_dib_bisize44_bitfields.wmf");
    EXPECT_FALSE(XTPCheckMetafileData(masks.data(), masks.size(), strProblem));
    EXPECT_NE(-1, strProblem.Find(_T("bytes of bits"))) << (LPCTSTR)strProblem;
    // Scaling an extent until the system's arithmetic overflows: the
    // record is refused before it is played.
    for (const char* pszFile : {"c04_wmf_scaleviewport_intmin.wmf", "c05_wmf_scalewindow_intmin.wmf",
                                "c06_wmf_scaleviewport_y_intmin.wmf"})
    {
        const std::vector<BYTE> data = testsupport::ReadDataFile((std::string("crafted-metafiles/") + pszFile).c_str());
        ASSERT_FALSE(data.empty()) << pszFile;
        result = PlayChecked(data, 16);
        EXPECT_FALSE(result.bPlayed) << pszFile;
        EXPECT_NE(-1, result.strProblem.Find(_T("scales the picture"))) << (LPCTSTR)result.strProblem;
    }
    // Scaling within reason is drawn as the system draws it.
    const std::vector<BYTE> scaled = RecordPlaceable([](HDC hDC) {
        ::SetMapMode(hDC, MM_ANISOTROPIC);
        ::ScaleViewportExtEx(hDC, 3, 2, 3, 2, NULL);
        ::ScaleWindowExtEx(hDC, 3, 2, 3, 2, NULL);
        ::Rectangle(hDC, 2, 2, 20, 20);
    });
    result = PlayChecked(scaled);
    EXPECT_TRUE(result.bPlayed) << (LPCTSTR)result.strProblem;
    EXPECT_EQ(PlayBySystem(scaled), result.pixels);
}

// Records that make the system's player write or read past its buffers, or
// divide by nothing, are refused before it sees them, each with a reason;
// twins that differ only in that field are drawn as the system draws them.
TEST(XTPImageEditorMetafileTest, RecordsThatOverrunThePlayersBuffersAreRefusedAndTheirTwinsDrawn)
{
    for (const testsupport::DamagedRecordPicture& picture : testsupport::DamagedRecordPictures())
    {
        SCOPED_TRACE(picture.pszName);
        CString strProblem;
        EXPECT_FALSE(XTPCheckMetafileData(picture.damaged.data(), picture.damaged.size(), strProblem));
        EXPECT_FALSE(strProblem.IsEmpty());
        std::printf("%s: %s\n", picture.pszName, (LPCTSTR)strProblem);
        const PlayResult refused = PlayChecked(picture.damaged);
        EXPECT_FALSE(refused.bPlayed);
        EXPECT_EQ(0, CountChanged(refused.pixels));

        EXPECT_TRUE(XTPCheckMetafileData(picture.sound.data(), picture.sound.size(), strProblem))
            << (LPCTSTR)strProblem;
        const PlayResult drawn = PlayChecked(picture.sound);
        ASSERT_TRUE(drawn.bPlayed) << (LPCTSTR)drawn.strProblem;
        EXPECT_GT(CountChanged(drawn.pixels), 16);
        EXPECT_EQ(PlayBySystem(picture.sound), drawn.pixels);
    }
    // A palette of no entries is refused only for a blend of palette
    // indices: unselected, before a blend of colours of its own or another
    // copy of palette indices, it draws.
    for (const std::vector<BYTE>& twin : {testsupport::PaletteBlend(0, false, DIB_PAL_COLORS),
                                          testsupport::PaletteBlend(0, true, DIB_RGB_COLORS),
                                          testsupport::PaletteBlend(0, true, DIB_PAL_COLORS, EMR_STRETCHBLT)})
    {
        const PlayResult drawn = PlayChecked(twin);
        ASSERT_TRUE(drawn.bPlayed) << (LPCTSTR)drawn.strProblem;
        EXPECT_EQ(PlayBySystem(twin), drawn.pixels);
    }
}

// What blends and masked copies cost depends on where they draw: a picture
// whose price there is over the limit is refused before any of it, even
// what comes first, is drawn; with fewer of them it is drawn.
TEST(XTPImageEditorMetafileTest, APictureIsPricedWhereItDrawsBeforeAnyOfItIsDrawn)
{
    auto Picture = [](int nBlends) {
        testsupport::EmfWriter emf;
        emf.Record(EMR_CREATEBRUSHINDIRECT, {1, BS_SOLID, RGB(200, 0, 0), 0});
        emf.Record(EMR_SELECTOBJECT, {1});
        emf.Record(EMR_RECTANGLE, {2, 2, 30, 30});
        emf.Handles(2);
        // Each over most of the place a record may draw in.
        for (int i = 0; i < nBlends; i++)
            testsupport::AddCopy(emf, testsupport::copyBlend, 1, 250, false, -110);
        return emf.Finish();
    };
    const std::vector<BYTE> costly = Picture(300);
    CString strProblem;
    EXPECT_TRUE(XTPCheckMetafileData(costly.data(), costly.size(), strProblem))
        << "priced over the limit only where it draws: " << (LPCTSTR)strProblem;
    const PlayResult refused = PlayChecked(costly);
    EXPECT_FALSE(refused.bPlayed);
    EXPECT_NE(-1, refused.strProblem.Find(_T("would cost more"))) << (LPCTSTR)refused.strProblem;
    EXPECT_EQ(0, CountChanged(refused.pixels)) << "not even the first rectangle is drawn";

    const std::vector<BYTE> cheaper = Picture(60);
    const PlayResult drawn = PlayChecked(cheaper);
    ASSERT_TRUE(drawn.bPlayed) << (LPCTSTR)drawn.strProblem;
    EXPECT_EQ(PlayBySystem(cheaper), drawn.pixels);
}
