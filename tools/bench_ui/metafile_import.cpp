// The button image editor's metafile reader: how long the costliest
// pictures its limits still let through take to check and play at a
// button's size, and how long a refusal takes.
#include "bench_ui.h"

#include <afxwin.h>

#include <functional>
#include <vector>

#include "XTPImageEditorMetafile.h"

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

// Plays the bytes onto a kSide x kSide DIB; the median time of one play.
double PlayMs(const std::vector<BYTE>& data, bool* pbPlayed, CString* pstrProblem)
{
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = kSide;
    bmi.bmiHeader.biHeight = -kSide;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    void* pBits = NULL;
    HBITMAP hBitmap = ::CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
    HDC hDC = ::CreateCompatibleDC(NULL);
    HGDIOBJ hOld = ::SelectObject(hDC, hBitmap);
    const RECT rc = {0, 0, kSide, kSide};
    BOOL bPlayed = FALSE;
    const double dMs = bench_ui::MedianMs(kRuns, [&]() {
        bPlayed = XTPPlayMetafileData(hDC, rc, data.data(), data.size(), *pstrProblem);
        ::GdiFlush();
    });
    ::SelectObject(hDC, hOld);
    ::DeleteDC(hDC);
    ::DeleteObject(hBitmap);
    *pbPlayed = bPlayed != FALSE;
    return dMs;
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
}
