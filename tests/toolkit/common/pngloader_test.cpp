// PNG loader: images made here with libpng's writer (or patched by hand)
// decode into 32-bit top-down DIB sections; broken files are refused cleanly.
#include <gtest/gtest.h>

#include "support/canvas.h"
#include "XTPPngLoader.h"
#include "XTPImageManager.h"
#include "support/pngwriter.h"
#include <zlib.h>
#include <functional>

namespace
{
typedef std::vector<BYTE> Bytes;
using testsupport::CPngSpec;
using testsupport::EncodePng;

BOOL LoadFromBytes(CXTPGraphicBitmapPng& png, const Bytes& data)
{
    CMemFile file((BYTE*)data.data(), (UINT)data.size(), 0);
    BOOL bResult = png.LoadFromStream(&file);
    file.Detach();
    return bResult;
}

DWORD Pixel(CXTPGraphicBitmapPng& png, int x, int y)
{
    DIBSECTION ds;
    ::GetObject(png.GetSafeHandle(), sizeof(ds), &ds);
    const DWORD* pBits = (const DWORD*)ds.dsBm.bmBits;
    return pBits[y * ds.dsBm.bmWidth + x];  // top-down rows
}

// Rewrites the IHDR's width and height and fixes its CRC.
void PatchSize(Bytes& data, DWORD width, DWORD height)
{
    auto put32 = [&](size_t at, DWORD v) {
        data[at] = (BYTE)(v >> 24);
        data[at + 1] = (BYTE)(v >> 16);
        data[at + 2] = (BYTE)(v >> 8);
        data[at + 3] = (BYTE)v;
    };
    put32(16, width);
    put32(20, height);
    uLong crc = crc32(0, data.data() + 12, 17);  // chunk type and data
    put32(29, (DWORD)crc);
}

std::vector<std::string> s_traced;
void AFXAPI RecordTrace(const char* lpszLine)
{
    s_traced.push_back(lpszLine);
}

CString TempFile(const Bytes& data)
{
    char szPath[MAX_PATH], szFile[MAX_PATH];
    ::GetTempPathA(MAX_PATH, szPath);
    ::GetTempFileNameA(szPath, "f1p", 0, szFile);
    FILE* f = fopen(szFile, "wb");
    fwrite(data.data(), 1, data.size(), f);
    fclose(f);
    return szFile;
}
}

TEST(PngLoader, RgbImageIsTopDownWithZeroAlpha)
{
    CPngSpec spec;
    spec.width = 3;
    spec.height = 2;
    Bytes data = EncodePng(spec, { { 255, 0, 0, 0, 255, 0, 0, 0, 255 }, { 10, 20, 30, 40, 50, 60, 70, 80, 90 } });
    ASSERT_FALSE(data.empty());

    CXTPGraphicBitmapPng png;
    ASSERT_TRUE(LoadFromBytes(png, data));
    EXPECT_FALSE(png.IsAlpha());
    DIBSECTION ds;
    ASSERT_EQ((int)sizeof(ds), ::GetObject(png.GetSafeHandle(), sizeof(ds), &ds));
    EXPECT_EQ(32, ds.dsBm.bmBitsPixel);
    EXPECT_EQ(3, ds.dsBm.bmWidth);
    EXPECT_EQ(2, std::abs((int)ds.dsBmih.biHeight));  // the first row in memory is the top one (below)
    EXPECT_EQ(testsupport::Argb(0, 255, 0, 0), Pixel(png, 0, 0));
    EXPECT_EQ(testsupport::Argb(0, 0, 0, 255), Pixel(png, 2, 0));
    EXPECT_EQ(testsupport::Argb(0, 70, 80, 90), Pixel(png, 2, 1));
}

TEST(PngLoader, PaletteWithTransparencyGivesAlpha)
{
    CPngSpec spec;
    spec.width = 4;
    spec.height = 1;
    spec.colorType = PNG_COLOR_TYPE_PALETTE;
    spec.palette = { { 255, 0, 0 }, { 0, 255, 0 }, { 0, 0, 255 } };
    spec.trans = { 255, 0, 128 };
    Bytes data = EncodePng(spec, { { 0, 1, 2, 0 } });

    CXTPGraphicBitmapPng png;
    ASSERT_TRUE(LoadFromBytes(png, data));
    EXPECT_TRUE(png.IsAlpha());
    EXPECT_EQ(testsupport::Argb(255, 255, 0, 0), Pixel(png, 0, 0));
    EXPECT_EQ(0u, Pixel(png, 1, 0) >> 24);
    EXPECT_EQ(testsupport::Argb(128, 0, 0, 255), Pixel(png, 2, 0));
}

TEST(PngLoader, GreyImagesBecomeRgb)
{
    CPngSpec spec;
    spec.colorType = PNG_COLOR_TYPE_GRAY;
    spec.bitDepth = 16;
    // Little-endian 16-bit samples: 0x12FF and 0xAB00, 0x0000 and 0xFFFF.
    Bytes data = EncodePng(spec, { { 0xFF, 0x12, 0x00, 0xAB }, { 0x00, 0x00, 0xFF, 0xFF } });
    CXTPGraphicBitmapPng png;
    ASSERT_TRUE(LoadFromBytes(png, data));
    EXPECT_FALSE(png.IsAlpha());
    EXPECT_EQ(testsupport::Argb(0, 0x12, 0x12, 0x12), Pixel(png, 0, 0));
    EXPECT_EQ(testsupport::Argb(0, 0xAB, 0xAB, 0xAB), Pixel(png, 1, 0));
    EXPECT_EQ(testsupport::Argb(0, 0xFF, 0xFF, 0xFF), Pixel(png, 1, 1));

    CPngSpec spec1;
    spec1.colorType = PNG_COLOR_TYPE_GRAY;
    spec1.bitDepth = 1;
    spec1.width = 8;
    spec1.height = 1;
    Bytes data1 = EncodePng(spec1, { { 0xA0 } });  // 1 0 1 0 0 0 0 0
    CXTPGraphicBitmapPng png1;
    ASSERT_TRUE(LoadFromBytes(png1, data1));
    EXPECT_EQ(testsupport::Argb(0, 255, 255, 255), Pixel(png1, 0, 0));
    EXPECT_EQ(testsupport::Argb(0, 0, 0, 0), Pixel(png1, 1, 0));
    EXPECT_EQ(testsupport::Argb(0, 255, 255, 255), Pixel(png1, 2, 0));

    CPngSpec specGA;
    specGA.colorType = PNG_COLOR_TYPE_GRAY_ALPHA;
    specGA.width = 1;
    specGA.height = 1;
    Bytes dataGA = EncodePng(specGA, { { 100, 50 } });
    CXTPGraphicBitmapPng pngGA;
    ASSERT_TRUE(LoadFromBytes(pngGA, dataGA));
    EXPECT_TRUE(pngGA.IsAlpha());
    EXPECT_EQ(testsupport::Argb(50, 100, 100, 100), Pixel(pngGA, 0, 0));
}

TEST(PngLoader, InterlacedImageDecodesFully)
{
    CPngSpec spec;
    spec.width = 9;
    spec.height = 9;
    spec.colorType = PNG_COLOR_TYPE_RGB_ALPHA;
    spec.interlace = PNG_INTERLACE_ADAM7;
    std::vector<Bytes> rows;
    for (int y = 0; y < 9; y++)
    {
        Bytes row;
        for (int x = 0; x < 9; x++)
        {
            row.push_back((BYTE)(x * 20));
            row.push_back((BYTE)(y * 20));
            row.push_back((BYTE)(x + y));
            row.push_back((BYTE)(255 - x));
        }
        rows.push_back(row);
    }
    Bytes data = EncodePng(spec, rows);
    CXTPGraphicBitmapPng png;
    ASSERT_TRUE(LoadFromBytes(png, data));
    EXPECT_TRUE(png.IsAlpha());
    for (int y = 0; y < 9; y++)
        for (int x = 0; x < 9; x++)
            EXPECT_EQ(testsupport::Argb((BYTE)(255 - x), (BYTE)(x * 20), (BYTE)(y * 20), (BYTE)(x + y)), Pixel(png, x, y))
                << x << "," << y;
}

TEST(PngLoader, FileAndImageManagerPaths)
{
    CPngSpec spec;
    spec.colorType = PNG_COLOR_TYPE_RGB_ALPHA;
    spec.width = 1;
    spec.height = 1;
    CString strFile = TempFile(EncodePng(spec, { { 1, 2, 3, 4 } }));

    CXTPGraphicBitmapPng png;
    EXPECT_TRUE(png.LoadFromFile(strFile));
    EXPECT_TRUE(png.IsAlpha());
    EXPECT_EQ(testsupport::Argb(4, 1, 2, 3), Pixel(png, 0, 0));

    BOOL bAlpha = FALSE;
    HBITMAP hBitmap = CXTPImageManager::LoadBitmapFromFile(strFile, &bAlpha);
    EXPECT_NE(nullptr, hBitmap);
    EXPECT_TRUE(bAlpha);
    ::DeleteObject(hBitmap);
    ::DeleteFileA(strFile);

    EXPECT_FALSE(png.LoadFromFile(strFile));
    EXPECT_EQ(nullptr, png.GetSafeHandle());
    EXPECT_FALSE(png.LoadFromResource(NULL, NULL));
}

TEST(PngLoader, BrokenFilesAreRefusedCleanly)
{
    CPngSpec spec;
    spec.width = 16;
    spec.height = 16;
    std::vector<Bytes> rows(16, Bytes(48, 0x55));
    Bytes good = EncodePng(spec, rows);

    CXTPGraphicBitmapPng png;
    ASSERT_TRUE(LoadFromBytes(png, good));

    // Not a PNG at all.
    Bytes notPng = { 'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0 };
    EXPECT_FALSE(LoadFromBytes(png, notPng));
    EXPECT_EQ(nullptr, png.GetSafeHandle());

    // Cut short after the header: no bitmap, and the previous one is gone too.
    ASSERT_TRUE(LoadFromBytes(png, good));
    Bytes truncated(good.begin(), good.begin() + 40);
    EXPECT_FALSE(LoadFromBytes(png, truncated));
    EXPECT_EQ(nullptr, png.GetSafeHandle());
    EXPECT_FALSE(png.IsAlpha());

    // Only the signature.
    Bytes signature(good.begin(), good.begin() + 8);
    EXPECT_FALSE(LoadFromBytes(png, signature));

    // A damaged compressed stream (its chunk CRC no longer matches).
    Bytes damaged = good;
    damaged[good.size() - 20] ^= 0xFF;
    EXPECT_FALSE(LoadFromBytes(png, damaged));
    EXPECT_EQ(nullptr, png.GetSafeHandle());

    // Dimensions far beyond what the loader accepts are refused before any
    // pixel memory is taken.
    Bytes huge = good;
    PatchSize(huge, 100000, 100000);
    EXPECT_FALSE(LoadFromBytes(png, huge));
    Bytes wide = good;
    PatchSize(wide, CXTPGraphicBitmapPng::MaxDimension + 1, 1);
    EXPECT_FALSE(LoadFromBytes(png, wide));
    EXPECT_EQ(nullptr, png.GetSafeHandle());

    // A small file whose header claims a picture of 16384 x 4096 RGBA
    // (256 MB decoded) is refused before the pixels get memory.
    CPngSpec alpha;
    alpha.colorType = PNG_COLOR_TYPE_RGBA;
    alpha.width = 2;
    alpha.height = 2;
    Bytes claim = EncodePng(alpha, std::vector<Bytes>(2, Bytes(8, 0x80)));
    PatchSize(claim, CXTPGraphicBitmapPng::MaxDimension, 4096);
    EXPECT_LT(claim.size(), 100u);
    s_traced.clear();
    AFX_TRACE_HOOK pfnOld = AfxSetTraceHook(RecordTrace);
    EXPECT_FALSE(LoadFromBytes(png, claim));
    AfxSetTraceHook(pfnOld);
#ifdef _DEBUG
    ASSERT_EQ(1u, s_traced.size());
    EXPECT_NE(std::string::npos, s_traced[0].find("too large")) << s_traced[0];
#endif

    // The loader still works afterwards.
    EXPECT_TRUE(LoadFromBytes(png, good));
}
