// The button image editor's metafile import: how long the costliest
// pictures its limits still let through take to check and draw at a
// button's size in the metafile renderer's process, as the editor's Import
// draws them, how long a refusal takes, and which of the kept crafted files
// costs most.
#include "bench_ui.h"

#include <afxwin.h>

#include <cstdio>
#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "XTPImageEditorMetafile.h"
#include "XTPMetafileRenderer.h"
#include "support/metafiles.h"

namespace
{
const int kRuns = 5;
const int kSide = 16;

// An enhanced metafile of a kSide x kSide picture recorded by GDI.
std::vector<BYTE> Record(const std::function<void(HDC)>& draw)
{
    HDC hScreen = ::GetDC(NULL);
    const int cxMm = ::GetDeviceCaps(hScreen, HORZSIZE), cyMm = ::GetDeviceCaps(hScreen, VERTSIZE);
    const int cxPixels = ::GetDeviceCaps(hScreen, HORZRES), cyPixels = ::GetDeviceCaps(hScreen, VERTRES);
    RECT rcFrame = {0, 0, kSide * cxMm * 100 / cxPixels, kSide * cyMm * 100 / cyPixels};
    HDC hMeta = ::CreateEnhMetaFileA(hScreen, NULL, &rcFrame, NULL);
    ::ReleaseDC(NULL, hScreen);
    draw(hMeta);
    HENHMETAFILE hEmf = ::CloseEnhMetaFile(hMeta);
    std::vector<BYTE> data(::GetEnhMetaFileBits(hEmf, 0, NULL));
    ::GetEnhMetaFileBits(hEmf, (UINT)data.size(), data.data());
    ::DeleteEnhMetaFile(hEmf);
    return data;
}

// Draws the bytes as the editor's Import does (the checks, then the
// renderer's process) onto kSide x kSide pixels; the median time of one.
double PlayMs(const std::vector<BYTE>& data, bool* pbPlayed, CString* pstrProblem)
{
    std::vector<DWORD> pixels((size_t)kSide * kSide);
    BOOL bPlayed = FALSE;
    const double dMs = bench_ui::MedianMs(kRuns, [&]() {
        pixels.assign(pixels.size(), 0x00FFFEFF);
        bPlayed = XTPRenderMetafileApart(data.data(), data.size(), CSize(kSide, kSide), pixels.data(), *pstrProblem);
    });
    *pbPlayed = bPlayed != FALSE;
    return dMs;
}

// The costliest picture let through so far.
struct CCostliest
{
    CCostliest() : dMs(0) {}
    CString strWhat;
    double dMs;
};
CCostliest& Costliest()
{
    static CCostliest s_costliest;
    return s_costliest;
}

void Measure(const char* pszWhat, const std::vector<BYTE>& data)
{
    bool bPlayed = false;
    CString strProblem;
    const double dMs = PlayMs(data, &bPlayed, &strProblem);
    CString strWhat;
    strWhat.Format(_T("%s (%s, %lu KB)"), pszWhat, bPlayed ? _T("drawn") : _T("refused"),
                   (unsigned long)(data.size() / 1024));
    bench_ui::Report(strWhat, dMs, "ms", 1000);
    if (!bPlayed)
        printf("    %s\n", (LPCTSTR)strProblem);
    else if (dMs > Costliest().dMs)
    {
        Costliest().dMs = dMs;
        Costliest().strWhat = pszWhat;
    }
}

// A kept test file, read whole; empty when it is not there.
std::vector<BYTE> ReadTestFile(const std::string& strName)
{
    std::vector<BYTE> data;
    const std::string strPath = std::string(BM_TEST_DATA_DIR) + "/" + strName;
    FILE* pFile = fopen(strPath.c_str(), "rb");
    if (pFile == NULL)
        return data;
    BYTE buffer[65536];
    for (size_t n; (n = fread(buffer, 1, sizeof(buffer), pFile)) > 0;)
        data.insert(data.end(), buffer, buffer + n);
    fclose(pFile);
    return data;
}
} // namespace

BM_UI_BENCH(metafile)
{
    const XTP_METAFILE_LIMITS& limits = XTPMetafileDefaultLimits();
    // The widest pen and the largest font the player lets through at 16
    // pixels: twice the margin of four picture sides around the picture.
    const int nWidest = kSide * 4 * 2 - 1;
    const int nFar = kSide * 4 - nWidest / 2;

    Measure("ellipses with the widest pen, as many as records may be", Record([&](HDC hDC) {
        HPEN hPen = ::CreatePen(PS_SOLID, nWidest, RGB(0, 0, 255));
        ::SelectObject(hDC, hPen);
        const int nEllipses = (int)limits.nMaxPoints / 4 - 10;
        for (int i = 0; i < nEllipses; i++)
            ::Ellipse(hDC, -nFar + i % 7, -nFar, kSide + nFar, kSide + nFar - i % 5);
        ::SelectObject(hDC, ::GetStockObject(BLACK_PEN));
        ::DeleteObject(hPen);
    }));
    Measure("polygons over the whole allowed place, every point allowed", Record([&](HDC hDC) {
        std::vector<POINT> points;
        const int nMargin = kSide * 4;
        for (DWORD i = 0; i + 10 < limits.nMaxPoints && points.size() < 8000; i++)
            points.push_back({(LONG)(i % 2 == 0 ? -nMargin : kSide + nMargin), (LONG)(-nMargin + (int)(i % 140))});
        for (DWORD n = 0; n + points.size() + 10 < limits.nMaxPoints; n += (DWORD)points.size())
            ::Polygon(hDC, points.data(), (int)points.size());
    }));
    Measure("lines with the widest pen, every point allowed", Record([&](HDC hDC) {
        HPEN hPen = ::CreatePen(PS_SOLID, nWidest, RGB(0, 128, 0));
        ::SelectObject(hDC, hPen);
        std::vector<POINT> points;
        for (int i = 0; i < 4000; i++)
            points.push_back({(LONG)(i % 2 == 0 ? -nFar : kSide + nFar), (LONG)(i % 17)});
        for (DWORD n = 0; n + points.size() + 10 < limits.nMaxPoints; n += (DWORD)points.size())
            ::Polyline(hDC, points.data(), (int)points.size());
        ::SelectObject(hDC, ::GetStockObject(BLACK_PEN));
        ::DeleteObject(hPen);
    }));
    Measure("text of the largest font, every character allowed", Record([&](HDC hDC) {
        HFONT hFont = ::CreateFontA(-nWidest, 0, 0, 0, 0, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Tahoma");
        ::SelectObject(hDC, hFont);
        char szText[65];
        for (int i = 0; i < 64; i++)
            szText[i] = (char)(33 + (i * 7) % 94);
        for (DWORD n = 0; n + 64 <= limits.nMaxChars; n += 64)
            ::TextOutA(hDC, -nFar, (int)(n % 32), szText, 64);
        ::SelectObject(hDC, ::GetStockObject(SYSTEM_FONT));
        ::DeleteObject(hFont);
    }));
    Measure("as many records as allowed", Record([&](HDC hDC) {
        for (DWORD i = 0; i + 10 < limits.nMaxRecords; i++)
            ::SetBkMode(hDC, i % 2 == 0 ? TRANSPARENT : OPAQUE);
    }));
    Measure("a huge ellipse with a wide pen (refused)", Record([&](HDC hDC) {
        HPEN hPen = ::CreatePen(PS_SOLID, 20000, RGB(0, 0, 255));
        ::SelectObject(hDC, hPen);
        ::Ellipse(hDC, 3, 3, -16777205, 127);
        ::SelectObject(hDC, ::GetStockObject(BLACK_PEN));
        ::DeleteObject(hPen);
    }));
    // A pattern brush as large as a bitmap may be, filling as often as the
    // drawing cost allows.
    Measure("fills with the largest pattern brush, as many as allowed", Record([&](HDC hDC) {
        const int nSide = 2048;
        std::vector<BYTE> dib(sizeof(BITMAPINFOHEADER) + 8 + (size_t)nSide / 8 * nSide, 0x3C);
        BITMAPINFOHEADER header = {sizeof(BITMAPINFOHEADER), nSide, nSide, 1, 1, BI_RGB, 0, 0, 0, 2, 0};
        memcpy(dib.data(), &header, sizeof(header));
        HBRUSH hBrush = ::CreateDIBPatternBrushPt(dib.data(), DIB_RGB_COLORS);
        ::SelectObject(hDC, hBrush);
        for (int i = 0; i < 6; i++)
            ::Rectangle(hDC, i, 0, kSide, kSide);
        ::SelectObject(hDC, ::GetStockObject(WHITE_BRUSH));
        ::DeleteObject(hBrush);
    }));

    // Sound pictures that cost the player much (clip changes by the ten
    // thousand, paths stroked or widened with a wider pen than made them,
    // clip regions of large paths, fills of many polygons): each refused by
    // its price or drawn.
    for (const testsupport::CostlyPicture& picture : testsupport::CostlyPictures())
        Measure((std::string("costly ") + picture.pszName).c_str(), picture.data);
    // Blends, masked copies, parallelogram copies and copies of a bitmap
    // priced just under the limit (drawn) and over it (refused by their
    // price before a renderer starts).
    for (const testsupport::PricedPicture& picture : testsupport::PricedCopyPictures())
        Measure((std::string("priced ") + picture.pszName).c_str(), picture.data);
    // Bitmaps as large as a bitmap may be, as many as a picture file holds,
    // shrunk onto the picture by each kind of copy that converts them:
    // priced by their pixels, drawn.
    {
        const int nSource = 1024, nCopies = 3;
        DWORD cbBmi = 0;
        const DWORD cbBits = (DWORD)nSource * nSource * 4;
        const std::vector<DWORD> dib = testsupport::DibWords(nSource, nSource, 32, cbBits, cbBmi);
        const DWORD n = (DWORD)nSource, one = testsupport::FloatWord(1);
        std::vector<WORD> packed;
        for (DWORD dw : dib)
            packed.insert(packed.end(), {(WORD)dw, (WORD)(dw >> 16)});
        testsupport::EmfWriter stretched, dibits;
        testsupport::WmfWriter placeable(1), placeableDibits(1);
        for (int i = 0; i < nCopies; i++)
        {
            std::vector<DWORD> words = {0, 0, 31, 31, 0, 0, 32, 32, SRCCOPY, 0, 0, one, 0, 0, one, 0, 0, 0,
                                        DIB_RGB_COLORS, 108, cbBmi, 108 + cbBmi, cbBits, n, n};
            words.insert(words.end(), dib.begin(), dib.end());
            stretched.Record(EMR_STRETCHBLT, words);
            words = {0, 0, 31, 31, 0, 0, 0, 0, n, n, 80, cbBmi, 80 + cbBmi, cbBits, DIB_RGB_COLORS, SRCCOPY, 32, 32};
            words.insert(words.end(), dib.begin(), dib.end());
            dibits.Record(EMR_STRETCHDIBITS, words);
            std::vector<WORD> params = {0x0020, 0x00CC, (WORD)n, (WORD)n, 0, 0, 32, 32, 0, 0};
            params.insert(params.end(), packed.begin(), packed.end());
            placeable.Record(0x0B41, params);   // DIBStretchBlt
            params = {0x0020, 0x00CC, DIB_RGB_COLORS, (WORD)n, (WORD)n, 0, 0, 32, 32, 0, 0};
            params.insert(params.end(), packed.begin(), packed.end());
            placeableDibits.Record(0x0F43, params);   // StretchDIBits
        }
        Measure("largest bitmaps shrunk by StretchBlt", stretched.Finish());
        Measure("largest bitmaps shrunk by StretchDIBits", dibits.Finish());
        Measure("largest bitmaps shrunk by a placeable DIBStretchBlt", placeable.Finish());
        Measure("largest bitmaps shrunk by a placeable StretchDIBits", placeableDibits.Finish());
    }
    // Gradients, blends, masked and parallelogram copies, palettes, own
    // dashes and comments: drawn.
    for (const testsupport::KindPicture& picture : testsupport::PicturesOfEveryKind())
        Measure((std::string("kind ") + picture.pszName).c_str(), picture.data);

    // The crafted files kept with the tests: each drawn or refused.
    WIN32_FIND_DATAA find;
    const std::string strFolder = std::string(BM_TEST_DATA_DIR) + "/crafted-metafiles/";
    HANDLE hFind = ::FindFirstFileA((strFolder + "*").c_str(), &find);
    std::vector<std::string> names;
    for (BOOL bMore = hFind != INVALID_HANDLE_VALUE; bMore; bMore = ::FindNextFileA(hFind, &find))
    {
        if ((find.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            names.push_back(find.cFileName);
    }
    if (hFind != INVALID_HANDLE_VALUE)
        ::FindClose(hFind);
    std::sort(names.begin(), names.end());
    for (const std::string& strName : names)
        Measure(("crafted " + strName).c_str(), ReadTestFile("crafted-metafiles/" + strName));
    if (names.empty())
        printf("    no crafted files in %s\n", strFolder.c_str());

    CString strCostliest;
    strCostliest.Format(_T("the costliest picture let through: %s"), (LPCTSTR)Costliest().strWhat);
    bench_ui::Report(strCostliest, Costliest().dMs, "ms", 1000);
}
