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
#include "support/snapshot.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace
{
const int kSide = 32;

std::vector<BYTE> EnhBytes(HENHMETAFILE hEmf)
{
    std::vector<BYTE> data(::GetEnhMetaFileBits(hEmf, 0, NULL));
    if (!data.empty())
        ::GetEnhMetaFileBits(hEmf, (UINT)data.size(), data.data());
    ::DeleteEnhMetaFile(hEmf);
    return data;
}

// A 4 x 4 32-bit DIB: its header and pixels (a blue-to-red ramp).
struct SmallDib
{
    SmallDib()
    {
        ZeroMemory(&bmi, sizeof(bmi));
        bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bmi.bmiHeader.biWidth = 4;
        bmi.bmiHeader.biHeight = 4;
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 32;
        bmi.bmiHeader.biCompression = BI_RGB;
        // The size of the bits said, as the metafile recorder needs to copy them.
        bmi.bmiHeader.biSizeImage = sizeof(bits);
        for (int i = 0; i < 16; i++)
            bits[i] = (DWORD)((i * 16) << 16) | (DWORD)(255 - i * 16);
    }
    BITMAPINFO bmi;
    DWORD bits[16];
};

// What a picture drawn for a button does, recorded by GDI through hDC: most
// kinds of record a small picture holds.
void DrawPicture(HDC hDC, bool bEnhanced)
{
    ::SaveDC(hDC);
    ::SetBkMode(hDC, TRANSPARENT);
    ::SetPolyFillMode(hDC, WINDING);
    ::SetROP2(hDC, R2_COPYPEN);
    ::SetStretchBltMode(hDC, COLORONCOLOR);
    ::SetTextColor(hDC, RGB(0, 0, 128));
    ::SetBkColor(hDC, RGB(255, 255, 255));
    ::SetTextAlign(hDC, TA_LEFT | TA_TOP);

    HPEN hPen = ::CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
    HBRUSH hBrush = ::CreateSolidBrush(RGB(255, 0, 0));
    HGDIOBJ hOldPen = ::SelectObject(hDC, hPen);
    HGDIOBJ hOldBrush = ::SelectObject(hDC, hBrush);
    ::Rectangle(hDC, 1, 1, 15, 15);
    ::Ellipse(hDC, 16, 1, 30, 15);
    ::RoundRect(hDC, 1, 16, 15, 30, 4, 4);
    ::Pie(hDC, 16, 16, 30, 30, 30, 23, 23, 16);
    ::Chord(hDC, 2, 2, 12, 12, 12, 7, 2, 7);
    ::Arc(hDC, 18, 18, 28, 28, 28, 23, 18, 23);

    HPEN hDash = ::CreatePen(PS_DASH, 1, RGB(0, 128, 0));
    ::SelectObject(hDC, hDash);
    POINT line[] = {{2, 31}, {10, 20}, {20, 31}, {30, 20}};
    ::Polyline(hDC, line, 4);
    POINT bezier[] = {{2, 2}, {10, 30}, {20, 2}, {30, 30}};
    ::PolyBezier(hDC, bezier, 4);
    HBRUSH hHatch = ::CreateHatchBrush(HS_DIAGCROSS, RGB(0, 0, 255));
    ::SelectObject(hDC, hHatch);
    POINT polygon[] = {{4, 4}, {12, 4}, {8, 12}};
    ::Polygon(hDC, polygon, 3);
    POINT polys[] = {{20, 4}, {28, 4}, {24, 12}, {20, 20}, {28, 20}, {24, 28}};
    INT counts[] = {3, 3};
    ::PolyPolygon(hDC, polys, counts, 2);
    ::MoveToEx(hDC, 0, 0, NULL);
    ::LineTo(hDC, 31, 31);
    ::SetPixel(hDC, 5, 27, RGB(255, 255, 0));

    HFONT hFont = ::CreateFontA(-10, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Tahoma");
    HGDIOBJ hOldFont = ::SelectObject(hDC, hFont);
    ::TextOutA(hDC, 2, 2, "Ab", 2);
    RECT rcText = {16, 18, 30, 30};
    ::ExtTextOutA(hDC, 16, 18, ETO_OPAQUE, &rcText, "x", 1, NULL);

    SmallDib dib;
    ::StretchDIBits(hDC, 20, 20, 8, 8, 0, 0, 4, 4, dib.bits, &dib.bmi, DIB_RGB_COLORS, SRCCOPY);
    ::SetDIBitsToDevice(hDC, 2, 20, 4, 4, 0, 0, 0, 4, dib.bits, &dib.bmi, DIB_RGB_COLORS);
    HDC hMem = ::CreateCompatibleDC(NULL);
    void* pBits = NULL;
    HBITMAP hBitmap = ::CreateDIBSection(NULL, &dib.bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
    memcpy(pBits, dib.bits, sizeof(dib.bits));
    HGDIOBJ hOldBitmap = ::SelectObject(hMem, hBitmap);
    ::BitBlt(hDC, 8, 8, 4, 4, hMem, 0, 0, SRCCOPY);
    ::StretchBlt(hDC, 24, 2, 6, 6, hMem, 0, 0, 4, 4, SRCCOPY);
    ::SelectObject(hMem, hOldBitmap);
    ::DeleteObject(hBitmap);
    ::DeleteDC(hMem);

    HBRUSH hPattern = ::CreateDIBPatternBrushPt(&dib.bmi, DIB_RGB_COLORS);
    HRGN hRgn = ::CreateRectRgn(10, 24, 16, 30);
    ::FillRgn(hDC, hRgn, hPattern);
    ::FrameRgn(hDC, hRgn, hBrush, 1, 1);
    ::DeleteObject(hRgn);

    ::SaveDC(hDC);
    ::IntersectClipRect(hDC, 0, 0, 16, 16);
    ::ExcludeClipRect(hDC, 4, 4, 6, 6);
    ::SelectObject(hDC, hBrush);
    ::Rectangle(hDC, 0, 0, 32, 32);
    ::RestoreDC(hDC, -1);

    if (bEnhanced)
    {
        ::SetLayout(hDC, 0);
        ::SelectPalette(hDC, (HPALETTE)::GetStockObject(DEFAULT_PALETTE), FALSE);
        ::RealizePalette(hDC);
        LOGBRUSH lb = {BS_SOLID, RGB(128, 0, 128), 0};
        HPEN hWide = ::ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_ROUND, 2, &lb, 0, NULL);
        ::SelectObject(hDC, hWide);
        ::BeginPath(hDC);
        ::MoveToEx(hDC, 4, 28, NULL);
        POINT to[] = {{12, 20}, {20, 28}};
        ::PolylineTo(hDC, to, 2);
        ::CloseFigure(hDC);
        ::EndPath(hDC);
        ::StrokeAndFillPath(hDC);
        ::SetGraphicsMode(hDC, GM_ADVANCED);
        XFORM xf = {0.5f, 0.0f, 0.0f, 0.5f, 16.0f, 0.0f};
        ::SetWorldTransform(hDC, &xf);
        ::Ellipse(hDC, 0, 0, 30, 30);
        ::ModifyWorldTransform(hDC, NULL, MWT_IDENTITY);
        ::SelectObject(hDC, hPen);
        ::DeleteObject(hWide);
    }

    ::SelectObject(hDC, hOldFont);
    ::SelectObject(hDC, hOldPen);
    ::SelectObject(hDC, hOldBrush);
    ::DeleteObject(hFont);
    ::DeleteObject(hPattern);
    ::DeleteObject(hHatch);
    ::DeleteObject(hDash);
    ::DeleteObject(hBrush);
    ::DeleteObject(hPen);
    ::RestoreDC(hDC, -1);
}

// An enhanced metafile of a kSide x kSide picture, drawn by draw.
template <class TDraw>
std::vector<BYTE> RecordEnh(TDraw draw)
{
    HDC hScreen = ::GetDC(NULL);
    // The frame in hundredths of a millimetre of the screen's pixels.
    const int cxMm = ::GetDeviceCaps(hScreen, HORZSIZE), cyMm = ::GetDeviceCaps(hScreen, VERTSIZE);
    const int cxPixels = ::GetDeviceCaps(hScreen, HORZRES), cyPixels = ::GetDeviceCaps(hScreen, VERTRES);
    RECT rcFrame = {0, 0, kSide * cxMm * 100 / cxPixels, kSide * cyMm * 100 / cyPixels};
    HDC hMeta = ::CreateEnhMetaFileA(hScreen, NULL, &rcFrame, NULL);
    ::ReleaseDC(NULL, hScreen);
    if (hMeta == NULL)
        return std::vector<BYTE>();
    draw(hMeta);
    return EnhBytes(::CloseEnhMetaFile(hMeta));
}

// A placeable metafile of a kSide x kSide picture, drawn by draw.
template <class TDraw>
std::vector<BYTE> RecordPlaceable(TDraw draw)
{
    HDC hMeta = ::CreateMetaFileA(NULL);
    if (hMeta == NULL)
        return std::vector<BYTE>();
    ::SetWindowOrgEx(hMeta, 0, 0, NULL);
    ::SetWindowExtEx(hMeta, kSide, kSide, NULL);
    draw(hMeta);
    HMETAFILE hWmf = ::CloseMetaFile(hMeta);
    std::vector<BYTE> meta(::GetMetaFileBitsEx(hWmf, 0, NULL));
    ::GetMetaFileBitsEx(hWmf, (UINT)meta.size(), meta.data());
    ::DeleteMetaFile(hWmf);
    std::vector<BYTE> out(22, 0);
    const WORD header[10] = {0xCDD7, 0x9AC6, 0, 0, 0, (WORD)kSide, (WORD)kSide, 96, 0, 0};
    memcpy(out.data(), header, sizeof(header));
    WORD wSum = 0;
    for (int i = 0; i < 10; i++)
        wSum ^= header[i];
    memcpy(&out[20], &wSum, 2);
    out.insert(out.end(), meta.begin(), meta.end());
    return out;
}

void PutDword(std::vector<BYTE>& data, size_t nAt, DWORD dw)
{
    memcpy(&data[nAt], &dw, 4);
}
DWORD GetDword(const std::vector<BYTE>& data, size_t nAt)
{
    DWORD dw;
    memcpy(&dw, &data[nAt], 4);
    return dw;
}

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

std::vector<COLORREF> PlayBySystem(const std::vector<BYTE>& data, int nSide = kSide)
{
    testsupport::Canvas canvas(nSide, nSide, RGB(255, 254, 255));
    HDC hDC = canvas.DC()->GetSafeHdc();
    RECT rc = {0, 0, nSide, nSide};
    if (XTPIsEnhMetafileData(data.data(), data.size()))
    {
        HENHMETAFILE hEmf = ::SetEnhMetaFileBits((UINT)data.size(), data.data());
        ::PlayEnhMetaFile(hDC, hEmf, &rc);
        ::DeleteEnhMetaFile(hEmf);
    }
    else
    {
        HMETAFILE hWmf = ::SetMetaFileBitsEx((UINT)data.size() - 22, data.data() + 22);
        ::SaveDC(hDC);
        short frame[4];
        memcpy(frame, &data[6], sizeof(frame));
        ::SetMapMode(hDC, MM_ANISOTROPIC);
        ::SetWindowOrgEx(hDC, frame[0], frame[1], NULL);
        ::SetWindowExtEx(hDC, frame[2] - frame[0], frame[3] - frame[1], NULL);
        ::SetViewportOrgEx(hDC, 0, 0, NULL);
        ::SetViewportExtEx(hDC, nSide, nSide, NULL);
        ::PlayMetaFile(hDC, hWmf);
        ::RestoreDC(hDC, -1);
        ::DeleteMetaFile(hWmf);
    }
    ::GdiFlush();
    std::vector<COLORREF> pixels;
    for (int y = 0; y < nSide; y++)
        for (int x = 0; x < nSide; x++)
            pixels.push_back(canvas.Pixel(x, y));
    return pixels;
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

// A deterministic stream of numbers for the damaged copies.
struct Lcg
{
    explicit Lcg(DWORD dwSeed) : dw(dwSeed * 2654435761u + 1) {}
    DWORD Next()
    {
        dw = dw * 1103515245u + 12345u;
        return (dw >> 8) & 0xFFFFFF;
    }
    DWORD dw;
};

// A damaged copy: a few record fields or bytes set to values that lie.
std::vector<BYTE> Damage(const std::vector<BYTE>& good, DWORD dwSeed, size_t nFirst, bool bEnhanced)
{
    static const DWORD kValues[] = {0,          1,          2,          3,          0xFFFFFFFF, 0x7FFFFFFF,
                                    0x80000000, 0x10000000, 0x0000FFFF, 0x00008000, 0x00010000, 0x00100000,
                                    0xFFFF0000, 0x40000000, 100000,     5000,       0xFFFFFF00, 0x00007FFF};
    std::vector<BYTE> data = good;
    Lcg rnd(dwSeed);
    const int nChanges = 1 + (int)(rnd.Next() % 3);
    for (int i = 0; i < nChanges; i++)
    {
        const DWORD nKind = rnd.Next() % 12;
        if (nKind >= 10)
        {
            // A record of another kind with the same bytes.
            std::vector<size_t> records;
            for (size_t nAt = nFirst + (bEnhanced ? 0 : 18); nAt + 8 <= data.size();)
            {
                records.push_back(nAt);
                const DWORD nSize = bEnhanced ? GetDword(data, nAt + 4) : GetDword(data, nAt) * 2;
                if (nSize < 8 || nSize > data.size() - nAt)
                    break;
                nAt += nSize;
            }
            if (records.size() < 3)
                continue;
            const size_t nAt = records[1 + rnd.Next() % (records.size() - 2)];
            if (bEnhanced)
            {
                PutDword(data, nAt, 2 + rnd.Next() % 120);
            }
            else
            {
                static const WORD kFunctions[] = {0x0127, 0x0103, 0x020C, 0x0213, 0x041B, 0x0418, 0x061C, 0x0817,
                                                  0x061D, 0x0324, 0x0325, 0x0538, 0x0521, 0x0A32, 0x0940, 0x0B41,
                                                  0x0F43, 0x0D33, 0x0228, 0x0429, 0x012C, 0x012D, 0x01F0, 0x02FA,
                                                  0x02FC, 0x02FB, 0x0142, 0x06FF, 0x0626, 0x0000};
                const WORD w = kFunctions[rnd.Next() % (sizeof(kFunctions) / sizeof(kFunctions[0]))];
                memcpy(&data[nAt + 4], &w, 2);
            }
            continue;
        }
        if (nKind == 0 && data.size() > nFirst + 8)
        {
            // Cut the file short.
            data.resize(nFirst + rnd.Next() % (data.size() - nFirst));
            continue;
        }
        if (data.size() < nFirst + 8)
            break;
        const size_t nRoom = data.size() - nFirst - 4;
        size_t nAt = nFirst + rnd.Next() % nRoom;
        if (nKind < 7)
            nAt &= ~(size_t)(bEnhanced ? 3 : 1);   // a whole field
        if (nAt + 4 > data.size())
            continue;
        if (nKind < 5)
        {
            PutDword(data, nAt, kValues[rnd.Next() % (sizeof(kValues) / sizeof(kValues[0]))]);
        }
        else if (nKind < 7)
        {
            const WORD w = (WORD)kValues[rnd.Next() % (sizeof(kValues) / sizeof(kValues[0]))];
            memcpy(&data[nAt], &w, 2);
        }
        else
        {
            data[nAt] = (BYTE)rnd.Next();
        }
    }
    return data;
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
    PutDword(unknown, nBkMode, 114);
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
