// Metafiles for tests: pictures recorded by GDI with most kinds of record a
// small picture holds, the system's own drawing of them, and seeded damaged
// copies of them (fields and bytes set to values that lie, records of
// another kind, files cut short).
#pragma once

#include <afxwin.h>

#include "support/canvas.h"
#include "support/icon_files.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace testsupport
{
// The side of the pictures recorded here, in pixels.
const int kMetafileSide = 32;

inline std::vector<BYTE> EnhBytes(HENHMETAFILE hEmf)
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
inline void DrawPicture(HDC hDC, bool bEnhanced)
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

// An enhanced metafile of a kMetafileSide x kMetafileSide picture, drawn by draw.
template <class TDraw>
std::vector<BYTE> RecordEnh(TDraw draw)
{
    HDC hScreen = ::GetDC(NULL);
    // The frame in hundredths of a millimetre of the screen's pixels.
    const int cxMm = ::GetDeviceCaps(hScreen, HORZSIZE), cyMm = ::GetDeviceCaps(hScreen, VERTSIZE);
    const int cxPixels = ::GetDeviceCaps(hScreen, HORZRES), cyPixels = ::GetDeviceCaps(hScreen, VERTRES);
    RECT rcFrame = {0, 0, kMetafileSide * cxMm * 100 / cxPixels, kMetafileSide * cyMm * 100 / cyPixels};
    HDC hMeta = ::CreateEnhMetaFileA(hScreen, NULL, &rcFrame, NULL);
    ::ReleaseDC(NULL, hScreen);
    if (hMeta == NULL)
        return std::vector<BYTE>();
    draw(hMeta);
    return EnhBytes(::CloseEnhMetaFile(hMeta));
}

// A placeable metafile of a kMetafileSide x kMetafileSide picture, drawn by draw.
template <class TDraw>
std::vector<BYTE> RecordPlaceable(TDraw draw)
{
    HDC hMeta = ::CreateMetaFileA(NULL);
    if (hMeta == NULL)
        return std::vector<BYTE>();
    ::SetWindowOrgEx(hMeta, 0, 0, NULL);
    ::SetWindowExtEx(hMeta, kMetafileSide, kMetafileSide, NULL);
    draw(hMeta);
    HMETAFILE hWmf = ::CloseMetaFile(hMeta);
    std::vector<BYTE> meta(::GetMetaFileBitsEx(hWmf, 0, NULL));
    ::GetMetaFileBitsEx(hWmf, (UINT)meta.size(), meta.data());
    ::DeleteMetaFile(hWmf);
    std::vector<BYTE> out(22, 0);
    const WORD header[10] = {0xCDD7, 0x9AC6, 0, 0, 0, (WORD)kMetafileSide, (WORD)kMetafileSide, 96, 0, 0};
    memcpy(out.data(), header, sizeof(header));
    WORD wSum = 0;
    for (int i = 0; i < 10; i++)
        wSum ^= header[i];
    memcpy(&out[20], &wSum, 2);
    out.insert(out.end(), meta.begin(), meta.end());
    return out;
}

inline DWORD GetDword(const std::vector<BYTE>& data, size_t nAt)
{
    DWORD dw;
    memcpy(&dw, &data[nAt], 4);
    return dw;
}

inline std::vector<COLORREF> PlayBySystem(const std::vector<BYTE>& data, int nSide = kMetafileSide)
{
    testsupport::Canvas canvas(nSide, nSide, RGB(255, 254, 255));
    HDC hDC = canvas.DC()->GetSafeHdc();
    RECT rc = {0, 0, nSide, nSide};
    if (data.size() >= 44 && GetDword(data, 0) == EMR_HEADER && GetDword(data, 40) == ENHMETA_SIGNATURE)
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
inline std::vector<BYTE> Damage(const std::vector<BYTE>& good, DWORD dwSeed, size_t nFirst, bool bEnhanced)
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
} // namespace testsupport

namespace testsupport
{
// An enhanced metafile written record by record, of a kMetafileSide x
// kMetafileSide picture: what GDI would record, without asking GDI (whose
// recorder itself takes long over some of these records).
class EmfWriter
{
public:
    EmfWriter() : m_nRecords(1), m_nHandles(1)
    {
        // The header: bounds, a frame of 10 x 10 mm on a reference device
        // of 1024 x 768 pixels and 320 x 240 mm (32 pixels a side).
        const DWORD header[22] = {EMR_HEADER, 88, 0, 0, (DWORD)kMetafileSide - 1, (DWORD)kMetafileSide - 1, 0, 0,
                                  1000, 1000, ENHMETA_SIGNATURE, 0x10000, 0, 0, 0, 0, 0, 0, 1024, 768, 320, 240};
        m_data.assign((const BYTE*)header, (const BYTE*)header + sizeof(header));
    }
    // A record of the kind with its words after the kind and the size.
    EmfWriter& Record(DWORD iType, const std::vector<DWORD>& words)
    {
        const DWORD head[2] = {iType, (DWORD)(8 + words.size() * 4)};
        m_data.insert(m_data.end(), (const BYTE*)head, (const BYTE*)head + sizeof(head));
        if (!words.empty())
            m_data.insert(m_data.end(), (const BYTE*)words.data(), (const BYTE*)(words.data() + words.size()));
        m_nRecords++;
        return *this;
    }
    // Words from 16-bit pairs.
    static void AddPoints16(std::vector<DWORD>& words, const std::vector<POINT>& points)
    {
        for (const POINT& pt : points)
            words.push_back((DWORD)(WORD)(short)pt.x | ((DWORD)(WORD)(short)pt.y << 16));
    }
    // A poly record of 16-bit points: one figure, or several (counts given).
    EmfWriter& Poly16(DWORD iType, const std::vector<POINT>& points, const std::vector<DWORD>& counts = {})
    {
        std::vector<DWORD> words = {0, 0, (DWORD)kMetafileSide, (DWORD)kMetafileSide};
        if (!counts.empty())
        {
            words.push_back((DWORD)counts.size());
            words.push_back((DWORD)points.size());
            words.insert(words.end(), counts.begin(), counts.end());
        }
        else
        {
            words.push_back((DWORD)points.size());
        }
        AddPoints16(words, points);
        if (points.size() % 2 != 0)
            words.push_back(0);
        return Record(iType, words);
    }
    // A geometric pen in object slot ih: its width, style and dashes.
    EmfWriter& ExtPen(DWORD ih, DWORD nStyle, DWORD nWidth, COLORREF clr, const std::vector<DWORD>& dashes = {})
    {
        std::vector<DWORD> words = {ih, 0, 0, 0, 0, nStyle, nWidth, BS_SOLID, clr, 0, (DWORD)dashes.size()};
        words.insert(words.end(), dashes.begin(), dashes.end());
        m_nHandles = std::max<DWORD>(m_nHandles, ih + 1);
        return Record(EMR_EXTCREATEPEN, words);
    }
    EmfWriter& Handles(DWORD nHandles)
    {
        m_nHandles = std::max(m_nHandles, nHandles);
        return *this;
    }
    // The file, with its end record and the header's counts.
    std::vector<BYTE> Finish()
    {
        Record(EMR_EOF, {0, 16, 20});
        std::vector<BYTE> data = m_data;
        PutDword(data, 48, (DWORD)data.size());
        PutDword(data, 52, m_nRecords);
        const WORD nHandles = (WORD)m_nHandles;
        memcpy(&data[56], &nHandles, 2);
        return data;
    }

private:
    std::vector<BYTE> m_data;
    DWORD m_nRecords;
    DWORD m_nHandles;
};

// Pictures whose records are sound but cost the system's player much: each
// must be refused by its price, or drawn, well within the renderer's time.
struct CostlyPicture
{
    const char* pszName;
    std::vector<BYTE> data;
};

inline std::vector<CostlyPicture> CostlyPictures()
{
    std::vector<CostlyPicture> pictures;
    const std::vector<DWORD> kWhole = {0, 0, (DWORD)kMetafileSide, (DWORD)kMetafileSide};
    // Clip rectangles excluded by the ten thousand, each making the clip
    // region anew, then fills through what is left.
    {
        EmfWriter emf;
        // A checker of one-pixel holes over the picture, made again and again.
        for (int i = 0; i < 90000; i++)
        {
            const DWORD x = (DWORD)((i * 4) % 32 + (i / 8) % 2 * 2), y = (DWORD)((i / 8 * 2) % 32);
            emf.Record(EMR_EXCLUDECLIPRECT, {x, y, x + 2, y + 2});
        }
        for (int i = 0; i < 5000; i++)
            emf.Record(EMR_RECTANGLE, kWhole);
        pictures.push_back({"exclude_clip_rects", emf.Finish()});
    }
    // A long path built with a thin pen, then stroked, or widened and
    // filled, with a pen as wide as the picture allows.
    for (int nHow = 0; nHow < 2; nHow++)
    {
        EmfWriter emf;
        emf.Record(EMR_BEGINPATH, {});
        std::vector<POINT> points;
        for (int i = 0; i < 60000; i++)
            points.push_back({(LONG)(i % 2 == 0 ? -40 : 72), (LONG)(-40 + i % 112)});
        emf.Poly16(EMR_POLYLINE16, points);
        emf.Record(EMR_ENDPATH, {});
        emf.ExtPen(1, PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_ROUND | PS_JOIN_ROUND, 120, RGB(0, 0, 200));
        emf.Record(EMR_SELECTOBJECT, {1});
        if (nHow == 0)
        {
            emf.Record(EMR_STROKEPATH, kWhole);
        }
        else
        {
            emf.Record(EMR_WIDENPATH, {});
            emf.Record(EMR_FILLPATH, kWhole);
        }
        pictures.push_back({nHow == 0 ? "path_stroked_with_a_wider_pen" : "path_widened_with_a_wider_pen",
                            emf.Finish()});
    }
    // A clip region made from a path of many points, then fills through it.
    {
        EmfWriter emf;
        emf.Record(EMR_BEGINPATH, {});
        std::vector<POINT> points;
        for (int i = 0; i < 90000; i++)
            points.push_back({(LONG)(-40 + (i * 7) % 112), (LONG)(-40 + (i * 13) % 112)});
        emf.Poly16(EMR_POLYGON16, points);
        emf.Record(EMR_ENDPATH, {});
        emf.Record(EMR_SELECTCLIPPATH, {RGN_COPY});
        for (int i = 0; i < 200; i++)
            emf.Record(EMR_RECTANGLE, kWhole);
        pictures.push_back({"clip_region_from_a_large_path", emf.Finish()});
    }
    // Fills of many small polygons in one record, in both kinds of file.
    auto Triangles = [](int nCount, std::vector<POINT>& points, std::vector<DWORD>& counts) {
        for (int i = 0; i < nCount; i++)
        {
            // Tall and thin, across the whole allowed place.
            const LONG x = -40 + (i * 7) % 110;
            points.push_back({x, -40});
            points.push_back({x + 2, -40});
            points.push_back({x + 1, 72});
            counts.push_back(3);
        }
    };
    {
        EmfWriter emf;
        std::vector<POINT> points;
        std::vector<DWORD> counts;
        Triangles(33000, points, counts);
        emf.Poly16(EMR_POLYPOLYGON16, points, counts);
        pictures.push_back({"many_sub_polygons_enhanced", emf.Finish()});
    }
    pictures.push_back({"many_sub_polygons_placeable", RecordPlaceable([&](HDC hDC) {
                            std::vector<POINT> points;
                            std::vector<DWORD> counts;
                            Triangles(10000, points, counts);
                            std::vector<INT> ints(counts.begin(), counts.end());
                            ::PolyPolygon(hDC, points.data(), ints.data(), (int)ints.size());
                        })});
    return pictures;
}
} // namespace testsupport

namespace testsupport
{
// Whether an enhanced metafile (bEnhanced) or a placeable one holds a record
// of the kind (the record type, or the function of a placeable one).
inline bool HasRecordOfKind(const std::vector<BYTE>& data, bool bEnhanced, DWORD nKind)
{
    if (bEnhanced)
    {
        for (size_t nAt = 0; nAt + 8 <= data.size();)
        {
            if (GetDword(data, nAt) == nKind)
                return true;
            const DWORD nSize = GetDword(data, nAt + 4);
            if (nSize < 8)
                return false;
            nAt += nSize;
        }
        return false;
    }
    for (size_t nAt = 22 + 18; nAt + 6 <= data.size();)
    {
        WORD nFunction;
        memcpy(&nFunction, &data[nAt + 4], 2);
        if (nFunction == nKind)
            return true;
        const DWORD nSize = GetDword(data, nAt) * 2;
        if (nSize < 6)
            return false;
        nAt += nSize;
    }
    return false;
}

// Pictures with the records a drawing program writes beside lines and
// fills: gradients, blends, copies through a mask or onto a parallelogram,
// palettes, pens of their own dashes and comments. Each names the record
// kind it is about.
struct KindPicture
{
    const char* pszName;
    bool bEnhanced;
    DWORD nKind;
    std::vector<BYTE> data;
};

inline std::vector<KindPicture> PicturesOfEveryKind()
{
    std::vector<KindPicture> pictures;
    // A 4 x 4 bitmap with alpha, and a two-colour mask of a checker, for
    // the copies.
    struct Sources
    {
        Sources()
        {
            SmallDib dib;
            for (int i = 0; i < 16; i++)
                dib.bits[i] = (dib.bits[i] & 0x00FFFFFF) | ((DWORD)(i * 16 + 15) << 24);
            void* pBits = NULL;
            hBitmap = ::CreateDIBSection(NULL, &dib.bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
            memcpy(pBits, dib.bits, sizeof(dib.bits));
            const WORD checker[4] = {0xA000, 0x5000, 0xA000, 0x5000};
            hMask = ::CreateBitmap(4, 4, 1, 1, checker);
            hDC = ::CreateCompatibleDC(NULL);
            hOld = ::SelectObject(hDC, hBitmap);
        }
        ~Sources()
        {
            ::SelectObject(hDC, hOld);
            ::DeleteDC(hDC);
            ::DeleteObject(hMask);
            ::DeleteObject(hBitmap);
        }
        HBITMAP hBitmap;
        HBITMAP hMask;
        HDC hDC;
        HGDIOBJ hOld;
    };
    auto Background = [](HDC hDC) {
        HBRUSH hBrush = ::CreateSolidBrush(RGB(40, 160, 40));
        RECT rc = {0, 0, kMetafileSide, kMetafileSide};
        ::FillRect(hDC, &rc, hBrush);
        ::DeleteObject(hBrush);
    };
    pictures.push_back({"gradient", true, EMR_GRADIENTFILL, RecordEnh([](HDC hDC) {
                            TRIVERTEX vertices[5] = {{0, 0, 0xFF00, 0, 0, 0},
                                                     {32, 16, 0, 0, 0xFF00, 0},
                                                     {0, 16, 0, 0xFF00, 0, 0},
                                                     {32, 16, 0xFF00, 0xFF00, 0, 0},
                                                     {16, 32, 0, 0x8000, 0xFF00, 0}};
                            GRADIENT_RECT rect = {0, 1};
                            ::GdiGradientFill(hDC, vertices, 2, &rect, 1, GRADIENT_FILL_RECT_H);
                            GRADIENT_TRIANGLE triangle = {2, 3, 4};
                            ::GdiGradientFill(hDC, vertices, 5, &triangle, 1, GRADIENT_FILL_TRIANGLE);
                        })});
    pictures.push_back({"alpha_blend", true, EMR_ALPHABLEND, RecordEnh([&](HDC hDC) {
                            Sources sources;
                            Background(hDC);
                            BLENDFUNCTION constant = {AC_SRC_OVER, 0, 128, 0};
                            ::GdiAlphaBlend(hDC, 2, 2, 12, 12, sources.hDC, 0, 0, 4, 4, constant);
                            BLENDFUNCTION perPixel = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
                            ::GdiAlphaBlend(hDC, 16, 16, 14, 14, sources.hDC, 0, 0, 4, 4, perPixel);
                        })});
    pictures.push_back({"mask_blt", true, EMR_MASKBLT, RecordEnh([&](HDC hDC) {
                            Sources sources;
                            Background(hDC);
                            ::MaskBlt(hDC, 4, 4, 4, 4, sources.hDC, 0, 0, sources.hMask, 0, 0,
                                      MAKEROP4(SRCCOPY, DSTINVERT));
                            ::MaskBlt(hDC, 20, 20, 4, 4, sources.hDC, 0, 0, NULL, 0, 0, MAKEROP4(SRCCOPY, SRCCOPY));
                        })});
    pictures.push_back({"plg_blt", true, EMR_PLGBLT, RecordEnh([&](HDC hDC) {
                            Sources sources;
                            Background(hDC);
                            POINT corners[3] = {{2, 2}, {20, 6}, {6, 26}};
                            ::PlgBlt(hDC, corners, sources.hDC, 0, 0, 4, 4, NULL, 0, 0);
                            POINT masked[3] = {{18, 18}, {30, 18}, {18, 30}};
                            ::PlgBlt(hDC, masked, sources.hDC, 0, 0, 4, 4, sources.hMask, 0, 0);
                        })});
    auto DrawWithPalette = [](HDC hDC) {
        struct
        {
            WORD wVersion, nEntries;
            PALETTEENTRY entries[4];
        } palette = {0x300, 4, {{255, 0, 0, 0}, {0, 255, 0, 0}, {0, 0, 255, 0}, {128, 128, 0, 0}}};
        HPALETTE hPalette = ::CreatePalette(reinterpret_cast<LOGPALETTE*>(&palette));
        HPALETTE hOld = ::SelectPalette(hDC, hPalette, FALSE);
        ::RealizePalette(hDC);
        HBRUSH hBrush = ::CreateSolidBrush(RGB(200, 0, 100));
        HGDIOBJ hOldBrush = ::SelectObject(hDC, hBrush);
        ::Rectangle(hDC, 2, 2, 30, 30);
        ::SelectObject(hDC, hOldBrush);
        ::DeleteObject(hBrush);
        ::SelectPalette(hDC, hOld, FALSE);
        ::DeleteObject(hPalette);
    };
    pictures.push_back({"palette_enhanced", true, EMR_CREATEPALETTE, RecordEnh(DrawWithPalette)});
    pictures.push_back({"palette_placeable", false, 0x00F7, RecordPlaceable(DrawWithPalette)});
    {
        // Geometric and cosmetic pens of their own dashes, as a drawing
        // program records them, and the palette records GDI's recorder
        // leaves out.
        EmfWriter emf;
        emf.ExtPen(1, PS_GEOMETRIC | PS_USERSTYLE | PS_ENDCAP_FLAT | PS_JOIN_MITER, 2, RGB(200, 0, 0), {6, 2, 2, 2});
        emf.ExtPen(2, PS_COSMETIC | PS_USERSTYLE, 1, RGB(0, 0, 160), {3, 1});
        emf.Record(EMR_SELECTOBJECT, {1});
        emf.Poly16(EMR_POLYLINE16, {{2, 4}, {30, 4}, {30, 28}, {2, 28}});
        emf.Record(EMR_SELECTOBJECT, {2});
        emf.Poly16(EMR_POLYLINE16, {{4, 10}, {28, 22}});
        emf.Record(EMR_CREATEPALETTE, {3, 0x300 | (2u << 16), 0x000000FF, 0x0000FF00});
        emf.Record(EMR_SETPALETTEENTRIES, {3, 0, 1, 0x00FF0000});
        emf.Record(EMR_RESIZEPALETTE, {3, 8});
        emf.Record(EMR_SELECTPALETTE, {3});
        emf.Record(EMR_REALIZEPALETTE, {});
        emf.Record(EMR_SELECTOBJECT, {ENHMETA_STOCK_OBJECT | BLACK_PEN});
        emf.Record(EMR_DELETEOBJECT, {1});
        emf.Record(EMR_DELETEOBJECT, {2});
        emf.Handles(4);
        pictures.push_back({"own_dashes", true, EMR_EXTCREATEPEN, emf.Finish()});
    }
    pictures.push_back({"comment_placeable", false, 0x0626, RecordPlaceable([](HDC hDC) {
                            const char szComment[] = "drawn for a button";
                            ::Escape(hDC, MFCOMMENT, sizeof(szComment), szComment, NULL);
                            HBRUSH hBrush = ::CreateSolidBrush(RGB(0, 100, 200));
                            HGDIOBJ hOld = ::SelectObject(hDC, hBrush);
                            ::Ellipse(hDC, 4, 4, 28, 28);
                            ::SelectObject(hDC, hOld);
                            ::DeleteObject(hBrush);
                        })});
    return pictures;
}
} // namespace testsupport

namespace testsupport
{
// A placeable metafile of a kMetafileSide x kMetafileSide picture written
// record by record: the function and its parameter words.
class WmfWriter
{
public:
    explicit WmfWriter(WORD nObjects) : m_nObjects(nObjects), m_nMaxRecord(3) {}
    WmfWriter& Record(WORD nFunction, const std::vector<WORD>& params)
    {
        const DWORD nWords = 3 + (DWORD)params.size();
        m_nMaxRecord = std::max(m_nMaxRecord, nWords);
        const WORD head[3] = {(WORD)nWords, (WORD)(nWords >> 16), nFunction};
        m_records.insert(m_records.end(), head, head + 3);
        m_records.insert(m_records.end(), params.begin(), params.end());
        return *this;
    }
    std::vector<BYTE> Finish()
    {
        Record(0x0000, {});
        const DWORD nWords = 9 + (DWORD)m_records.size();
        const WORD placeable[11] = {0xCDD7, 0x9AC6, 0, 0, 0, (WORD)kMetafileSide, (WORD)kMetafileSide, 96, 0, 0, 0};
        const WORD header[9] = {1, 9, 0x300, (WORD)nWords, (WORD)(nWords >> 16), m_nObjects,
                                (WORD)m_nMaxRecord, (WORD)(m_nMaxRecord >> 16), 0};
        std::vector<BYTE> out((const BYTE*)placeable, (const BYTE*)placeable + sizeof(placeable));
        out.insert(out.end(), (const BYTE*)header, (const BYTE*)header + sizeof(header));
        out.insert(out.end(), (const BYTE*)m_records.data(), (const BYTE*)(m_records.data() + m_records.size()));
        return out;
    }

private:
    std::vector<WORD> m_records;
    WORD m_nObjects;
    DWORD m_nMaxRecord;
};

inline DWORD FloatWord(float f)
{
    DWORD dw;
    memcpy(&dw, &f, sizeof(dw));
    return dw;
}

// The words of a bitmap of cx x cy pixels at nBits (1 or 32) after a
// 40-byte header, the colour masks given for a 32-bit one (none: BI_RGB),
// and cbBits bytes of bits, whatever the bitmap holds. cbBmi receives the
// size of the header with its colours or masks.
inline std::vector<DWORD> DibWords(int cx, int cy, int nBits, DWORD cbBits, DWORD& cbBmi,
                                   const std::vector<DWORD>& masks = {})
{
    std::vector<DWORD> words = {40, (DWORD)cx, (DWORD)cy, 1u | ((DWORD)nBits << 16),
                                masks.empty() ? (DWORD)BI_RGB : (DWORD)BI_BITFIELDS, 0, 0, 0, nBits == 1 ? 2u : 0u,
                                0};
    if (nBits == 1)
    {
        words.push_back(0x00000000);
        words.push_back(0x00FFFFFF);
    }
    words.insert(words.end(), masks.begin(), masks.end());
    cbBmi = (DWORD)words.size() * 4;
    for (DWORD i = 0; i < cbBits / 4; i++)
        words.push_back(nBits == 1 ? 0x5555AAAAu : 0x80C08040u);
    return words;
}

// Blend, masked copy and parallelogram copy records, as the recorder writes
// them: a source of srcSide x srcSide pixels (32 bits, or 1 bit with
// bOneBit), for a masked kind a two-colour mask of the same size, and the
// copy's rectangle of nRect x nRect logical units at (nOrigin, nOrigin).
enum CopyKind
{
    copyBlend,
    copyMasked,
    copyParallelogram
};
inline void AddCopy(EmfWriter& emf, CopyKind nKind, int srcSide, int nRect, bool bOneBit = false, int nOrigin = 0)
{
    const DWORD o = (DWORD)nOrigin;
    const DWORD xform[6] = {FloatWord(1), 0, 0, FloatWord(1), 0, 0};
    const int nSrcBits = bOneBit ? 1 : 32;
    DWORD cbBmi = 0, cbBmiMask = 0;
    const DWORD cbBits = (DWORD)(((srcSide * nSrcBits + 31) / 32) * 4 * srcSide);
    const std::vector<DWORD> source = DibWords(srcSide, srcSide, nSrcBits, cbBits, cbBmi);
    const DWORD cbMaskBits = (DWORD)(((srcSide + 31) / 32) * 4 * srcSide);
    const std::vector<DWORD> mask = nKind == copyBlend ? std::vector<DWORD>()
                                                       : DibWords(srcSide, srcSide, 1, cbMaskBits, cbBmiMask);
    std::vector<DWORD> words = {0, 0, (DWORD)kMetafileSide, (DWORD)kMetafileSide};
    DWORD nFixed = 0;
    if (nKind == copyParallelogram)
    {
        nFixed = 140;
        const DWORD corners[6] = {o, o, o + (DWORD)nRect + 1, o, o, o + (DWORD)nRect + 1};
        words.insert(words.end(), corners, corners + 6);
        words.push_back(0);
        words.push_back(0);
        words.push_back((DWORD)nRect);
        words.push_back((DWORD)nRect);
    }
    else
    {
        nFixed = nKind == copyBlend ? 108 : 128;
        words.push_back(o);
        words.push_back(o);
        words.push_back((DWORD)nRect);
        words.push_back((DWORD)nRect);
        words.push_back(nKind == copyBlend ? (DWORD)(AC_SRC_OVER | (160 << 16)) : MAKEROP4(SRCCOPY, DSTINVERT));
        words.push_back(0);
        words.push_back(0);
    }
    words.insert(words.end(), xform, xform + 6);
    words.push_back(0);                // background colour
    words.push_back(DIB_RGB_COLORS);
    words.push_back(nFixed);
    words.push_back(cbBmi);
    words.push_back(nFixed + cbBmi);
    words.push_back(cbBits);
    if (nKind == copyBlend)
    {
        words.push_back((DWORD)srcSide);   // the whole source, stretched
        words.push_back((DWORD)srcSide);
    }
    else
    {
        const DWORD offMask = nFixed + cbBmi + cbBits;
        const DWORD maskFields[7] = {0, 0, DIB_RGB_COLORS, offMask, cbBmiMask, offMask + cbBmiMask, cbMaskBits};
        words.insert(words.end(), maskFields, maskFields + 7);
    }
    words.insert(words.end(), source.begin(), source.end());
    words.insert(words.end(), mask.begin(), mask.end());
    emf.Record(nKind == copyBlend ? EMR_ALPHABLEND : nKind == copyMasked ? EMR_MASKBLT : EMR_PLGBLT, words);
}

// A copy of a one-pixel 32-bit bitmap (BitBlt onto one pixel, or
// StretchBlt onto 2 x 2) with the raster operation, as the recorder writes
// it.
inline void AddSourceCopy(EmfWriter& emf, DWORD iType, DWORD dwRop)
{
    DWORD cbBmi = 0;
    const std::vector<DWORD> source = DibWords(1, 1, 32, 4, cbBmi);
    const DWORD nFixed = iType == EMR_BITBLT ? 100 : 108, nSide = iType == EMR_BITBLT ? 1 : 2;
    std::vector<DWORD> words = {0, 0, (DWORD)kMetafileSide, (DWORD)kMetafileSide, 2, 2, nSide, nSide, dwRop, 0, 0,
                                FloatWord(1), 0, 0, FloatWord(1), 0, 0, 0, DIB_RGB_COLORS, nFixed, cbBmi,
                                nFixed + cbBmi, 4};
    if (iType == EMR_STRETCHBLT)
        words.insert(words.end(), {1, 1});
    words.insert(words.end(), source.begin(), source.end());
    emf.Record(iType, words);
}

// A masked copy (or, bParallelogram, a parallelogram copy) of a side x side
// 32-bit source onto side x side at (2, 2), with or without its source and
// mask, the bounds given, the record padded with zeros to nSize bytes.
inline void AddCopyOfParts(EmfWriter& emf, bool bParallelogram, int side, bool bSource, bool bMask,
                           const std::vector<DWORD>& bounds, DWORD nSize = 0)
{
    const DWORD cbBits = (DWORD)(side * side * 4), cbMaskBits = (DWORD)(((side + 31) / 32) * 4 * side);
    DWORD cbBmi = 0, cbBmiMask = 0;
    const std::vector<DWORD> source = DibWords(side, side, 32, cbBits, cbBmi);
    const std::vector<DWORD> mask = DibWords(side, side, 1, cbMaskBits, cbBmiMask);
    const DWORD nFixed = bParallelogram ? 140 : 128, s = (DWORD)side;
    std::vector<DWORD> words = bounds;
    if (bParallelogram)
        words.insert(words.end(), {2, 2, 2 + s, 2, 2, 2 + s, 0, 0, s, s});
    else
        words.insert(words.end(), {2, 2, s, s, MAKEROP4(SRCCOPY, DSTINVERT), 0, 0});
    words.insert(words.end(), {FloatWord(1), 0, 0, FloatWord(1), 0, 0, 0, DIB_RGB_COLORS});
    if (bSource)
        words.insert(words.end(), {nFixed, cbBmi, nFixed + cbBmi, cbBits});
    else
        words.insert(words.end(), {0, 0, 0, 0});
    const DWORD offMask = nFixed + (bSource ? cbBmi + cbBits : 0);
    if (bMask)
        words.insert(words.end(), {0, 0, DIB_RGB_COLORS, offMask, cbBmiMask, offMask + cbBmiMask, cbMaskBits});
    else
        words.insert(words.end(), {0, 0, DIB_RGB_COLORS, 0, 0, 0, 0});
    if (bSource)
        words.insert(words.end(), source.begin(), source.end());
    if (bMask)
        words.insert(words.end(), mask.begin(), mask.end());
    while (8 + words.size() * 4 < nSize)
        words.push_back(0);
    emf.Record(bParallelogram ? EMR_PLGBLT : EMR_MASKBLT, words);
}

// Pictures of many blends, masked copies and parallelogram copies, priced
// just under the drawing limit (they draw, well within the renderer's time)
// or over it (they are refused by their price before any of them is drawn).
struct PricedPicture
{
    const char* pszName;
    bool bOverLimit;
    std::vector<BYTE> data;
};

inline std::vector<PricedPicture> PricedCopyPictures()
{
    std::vector<PricedPicture> pictures;
    auto Many = [](CopyKind nKind, int nCount) {
        EmfWriter emf;
        for (int i = 0; i < nCount; i++)
            AddCopy(emf, nKind, 1, 1);
        return emf.Finish();
    };
    pictures.push_back({"tiny_blends_under_the_limit", false, Many(copyBlend, 7500)});
    pictures.push_back({"tiny_blends_over_the_limit", true, Many(copyBlend, 43000)});
    pictures.push_back({"tiny_masked_copies_under_the_limit", false, Many(copyMasked, 2800)});
    pictures.push_back({"tiny_masked_copies_over_the_limit", true, Many(copyMasked, 10000)});
    pictures.push_back({"tiny_parallelogram_copies_under_the_limit", false, Many(copyParallelogram, 2400)});
    pictures.push_back({"tiny_parallelogram_copies_over_the_limit", true, Many(copyParallelogram, 10000)});
    // Copies of a one-pixel bitmap: the player makes a DC, a brush and a
    // bitmap for each, whatever the raster operation.
    auto Copies = [](DWORD iType, DWORD dwRop, int nCount) {
        EmfWriter emf;
        for (int i = 0; i < nCount; i++)
            AddSourceCopy(emf, iType, dwRop);
        return emf.Finish();
    };
    pictures.push_back({"one_pixel_bitmap_copies_under_the_limit", false, Copies(EMR_BITBLT, SRCCOPY, 7000)});
    pictures.push_back({"one_pixel_bitmap_copies_12000", true, Copies(EMR_BITBLT, SRCCOPY, 12000)});
    pictures.push_back({"one_pixel_bitmap_copies_25000", true, Copies(EMR_BITBLT, SRCCOPY, 25000)});
    pictures.push_back({"one_pixel_bitmap_copies_99990", true, Copies(EMR_BITBLT, SRCCOPY, 99990)});
    pictures.push_back({"stretched_bitmap_copies_ignoring_it_under_the_limit", false,
                        Copies(EMR_STRETCHBLT, PATCOPY, 7000)});
    pictures.push_back({"stretched_bitmap_copies_50000", true, Copies(EMR_STRETCHBLT, SRCCOPY, 50000)});
    pictures.push_back({"stretched_bitmap_copies_ignoring_it_50000", true, Copies(EMR_STRETCHBLT, PATCOPY, 50000)});
    // Masked copies without a mask of 2,000 bytes: the player makes a mask
    // of each record's bytes, 2,000 rows high whichever the sign of the
    // bounds' left.
    for (const LONG nLeft : {2000, -2000})
    {
        EmfWriter emf;
        for (int i = 0; i < 300; i++)
            AddCopyOfParts(emf, false, 1, true, false, {(DWORD)nLeft, 0, 31, 31}, 2000);
        pictures.push_back({nLeft > 0 ? "copies_without_a_mask_left_2000" : "copies_without_a_mask_left_-2000", true,
                            emf.Finish()});
    }
    // Masked copies of 2048 x 2048 through a transform that shrinks them to
    // a few pixels: the player works at their logical size all the same.
    for (int nCount : {1, 7})
    {
        EmfWriter emf;
        const float fScale = 1.0f / 128;
        emf.Record(EMR_SETWORLDTRANSFORM, {FloatWord(fScale), 0, 0, FloatWord(fScale), 0, 0});
        for (int i = 0; i < nCount; i++)
            AddCopy(emf, copyMasked, 2048, 2048, true);
        pictures.push_back({nCount == 1 ? "a_large_masked_copy_shrunk" : "seven_large_masked_copies_shrunk",
                            nCount > 1, emf.Finish()});
    }
    return pictures;
}

// Records whose one field makes the system's player write or read past its
// buffers or divide by nothing, each with a twin that differs only in that
// field and draws: a blend whose source bits are larger than its bitmap, a
// 32-bit source whose colour masks are empty, a palette selection whose
// second word names a far object, a pen whose own dashes add up to 2^32, a
// masked copy without a source whose bytes read as a 32-bit bitmap, masked
// and parallelogram copies without a mask whose bounds begin left of 0,
// and a blend of palette indices through a palette of no entries.
struct DamagedRecordPicture
{
    const char* pszName;
    std::vector<BYTE> damaged;
    std::vector<BYTE> sound;
};

// A palette of nEntries red entries (selected or not), then a blend onto
// 24 x 24 of a 2 x 2 8-bit source of the colour kind (its two colours
// palette indices 0 and 1, or red and green).
inline std::vector<BYTE> PaletteBlend(int nEntries, bool bSelected, DWORD iUsage, DWORD iCopy = EMR_ALPHABLEND)
{
    EmfWriter emf;
    std::vector<DWORD> palette = {1, 0x300u | ((DWORD)nEntries << 16)};
    palette.insert(palette.end(), (size_t)std::max(nEntries, 1), 0x000000FF);
    emf.Record(EMR_CREATEPALETTE, palette);
    if (bSelected)
    {
        emf.Record(EMR_SELECTPALETTE, {1});
        emf.Record(EMR_REALIZEPALETTE, {});
    }
    emf.Handles(2);
    std::vector<DWORD> source = {40, 2, 2, 1u | (8u << 16), BI_RGB, 0, 0, 0, 2, 0};
    if (iUsage == DIB_PAL_COLORS)
        source.push_back(0x00010000);
    else
        source.insert(source.end(), {0x00FF0000, 0x0000FF00});
    const DWORD cbBmi = (DWORD)source.size() * 4;
    source.insert(source.end(), {0x00000100, 0x00000001});
    std::vector<DWORD> words;
    if (iCopy == EMR_ALPHABLEND)
        words = {0, 0, 31, 31, 2, 2, 24, 24, (DWORD)(AC_SRC_OVER | (255 << 16)), 0, 0, FloatWord(1), 0, 0,
                 FloatWord(1), 0, 0, 0, iUsage, 108, cbBmi, 108 + cbBmi, 8, 2, 2};
    else   // a stretched copy
        words = {0, 0, 31, 31, 2, 2, 24, 24, SRCCOPY, 0, 0, FloatWord(1), 0, 0, FloatWord(1), 0, 0, 0, iUsage, 108,
                 cbBmi, 108 + cbBmi, 8, 2, 2};
    words.insert(words.end(), source.begin(), source.end());
    emf.Record(iCopy, words);
    return emf.Finish();
}

inline std::vector<DamagedRecordPicture> DamagedRecordPictures()
{
    std::vector<DamagedRecordPicture> pictures;
    auto Blend = [](DWORD cbBits, const std::vector<DWORD>& masks) {
        EmfWriter emf;
        emf.Record(EMR_SETBKCOLOR, {RGB(0, 128, 255)});
        DWORD cbBmi = 0;
        const std::vector<DWORD> source = DibWords(1, 1, 32, cbBits, cbBmi, masks);
        std::vector<DWORD> words = {0, 0, 31, 31, 2, 2, 28, 28, (DWORD)(AC_SRC_OVER | (255 << 16)), 0, 0,
                                    FloatWord(1), 0, 0, FloatWord(1), 0, 0, 0, DIB_RGB_COLORS, 108, cbBmi,
                                    108 + cbBmi, cbBits, 1, 1};
        words.insert(words.end(), source.begin(), source.end());
        emf.Record(EMR_ALPHABLEND, words);
        return emf.Finish();
    };
    pictures.push_back({"blend_source_bits_of_12_kb", Blend(12 * 1024, {}), Blend(4, {})});
    pictures.push_back({"blend_source_bits_of_4_mb", Blend(4 * 1024 * 1024, {}), Blend(4, {})});
    pictures.push_back(
        {"blend_source_masks_empty", Blend(4, {0, 0, 0}), Blend(4, {0x00FF0000, 0x0000FF00, 0x000000FF})});
    auto Palette = [](const std::vector<WORD>& selection) {
        WmfWriter wmf(2);
        wmf.Record(0x00F7, {0x300, 1, 0x00FF, 0x0000});   // CreatePalette: one red entry
        wmf.Record(0x0234, selection);                     // SelectPalette
        wmf.Record(0x0035, {});                            // RealizePalette
        wmf.Record(0x02FC, {BS_SOLID, 0x8000, 0x00FF, 0}); // CreateBrushIndirect
        wmf.Record(0x012D, {1});                           // SelectObject
        wmf.Record(0x041B, {28, 28, 4, 4});                // Rectangle
        return wmf.Finish();
    };
    pictures.push_back({"palette_selection_second_word_65535", Palette({0, 65535}), Palette({0})});
    pictures.push_back({"palette_selection_of_two_words", Palette({0, 65535}), Palette({0, 0})});
    auto Dashed = [](DWORD nDash) {
        EmfWriter emf;
        emf.ExtPen(1, PS_GEOMETRIC | PS_USERSTYLE | PS_ENDCAP_FLAT, 2, RGB(200, 0, 0), {nDash, nDash});
        emf.Record(EMR_SELECTOBJECT, {1});
        emf.Poly16(EMR_POLYLINE16, {{2, 4}, {30, 4}, {30, 28}});
        emf.Record(EMR_SELECTOBJECT, {ENHMETA_STOCK_OBJECT | BLACK_PEN});
        emf.Record(EMR_DELETEOBJECT, {1});
        return emf.Finish();
    };
    pictures.push_back({"dashes_adding_up_to_2_32", Dashed(0x80000000u), Dashed(0x40000000u)});
    auto Copy = [](bool bParallelogram, bool bSource, bool bMask, const std::vector<DWORD>& bounds, DWORD nSize) {
        EmfWriter emf;
        emf.Record(EMR_SETBKCOLOR, {RGB(0, 128, 255)});
        AddCopyOfParts(emf, bParallelogram, 24, bSource, bMask, bounds, nSize);
        return emf.Finish();
    };
    // Read as a header: 8,192 bytes wide, 7,000 rows, one plane and 32 (or
    // no) bits a pixel.
    pictures.push_back({"masked_copy_without_source_of_32_bits",
                        Copy(false, false, true, {7000, 0x00200001, 0, 31}, 8192),
                        Copy(false, false, true, {7000, 0x00000001, 0, 31}, 8192)});
    pictures.push_back({"masked_copy_without_mask_left_-2000", Copy(false, true, false, {(DWORD)-2000, 0, 31, 31}, 0),
                        Copy(false, true, false, {2000, 0, 31, 31}, 0)});
    pictures.push_back({"parallelogram_copy_without_mask_left_-2000",
                        Copy(true, true, false, {(DWORD)-2000, 0, 31, 31}, 0),
                        Copy(true, true, false, {2000, 0, 31, 31}, 0)});
    pictures.push_back({"blend_of_palette_indices_through_no_entries", PaletteBlend(0, true, DIB_PAL_COLORS),
                        PaletteBlend(1, true, DIB_PAL_COLORS)});
    return pictures;
}
} // namespace testsupport
