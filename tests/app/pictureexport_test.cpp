// Picture files of the board: the packed picture, the BMP and JPEG writers,
// the row conversion of every depth, and what a failed write leaves behind.
#include "support/wndtest.h"
#include "support/tempfolder.h"
#include "PictureExport.h"

#include <stdio.h>

#include <jpeglib.h>
#include <setjmp.h>

#include <string>
#include <vector>

namespace
{
::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new testsupport::Environment);

bool FileExists(const std::string& path)
{
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<BYTE> ReadAll(const std::string& path)
{
    std::string bytes = testsupport::ReadFileBytes(path);
    return std::vector<BYTE>(bytes.begin(), bytes.end());
}

DWORD Read32(const std::vector<BYTE>& b, size_t at)
{
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | ((DWORD)b[at + 3] << 24);
}

// A bitmap compatible with the screen, as the board picture is made: the
// top half red, the bottom half blue, one green pixel at the top left.
HBITMAP MakeScreenBitmap(int cx, int cy)
{
    HDC hScreen = ::GetDC(NULL);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, cx, cy);
    HDC hDC = ::CreateCompatibleDC(hScreen);
    ::ReleaseDC(NULL, hScreen);
    HGDIOBJ hOld = ::SelectObject(hDC, hBitmap);
    RECT rcTop = {0, 0, cx, cy / 2}, rcBottom = {0, cy / 2, cx, cy};
    HBRUSH hRed = ::CreateSolidBrush(RGB(255, 0, 0)), hBlue = ::CreateSolidBrush(RGB(0, 0, 255));
    ::FillRect(hDC, &rcTop, hRed);
    ::FillRect(hDC, &rcBottom, hBlue);
    ::SetPixel(hDC, 0, 0, RGB(0, 255, 0));
    ::DeleteObject(hRed);
    ::DeleteObject(hBlue);
    ::SelectObject(hDC, hOld);
    ::DeleteDC(hDC);
    return hBitmap;
}

// A bottom-up DIB section of the depth whose pixels the test sets itself.
HBITMAP MakeSection(int cx, int cy, int nBits, void** ppBits)
{
    struct
    {
        BITMAPINFOHEADER header;
        RGBQUAD table[256];
    } bmi;
    ZeroMemory(&bmi, sizeof(bmi));
    bmi.header.biSize = sizeof(BITMAPINFOHEADER);
    bmi.header.biWidth = cx;
    bmi.header.biHeight = cy;
    bmi.header.biPlanes = 1;
    bmi.header.biBitCount = (WORD)nBits;
    for (int i = 0; i < 256; i++)
    {
        bmi.table[i].rgbRed = (BYTE)i;
        bmi.table[i].rgbGreen = (BYTE)(255 - i);
        bmi.table[i].rgbBlue = (BYTE)(i / 2);
    }
    return ::CreateDIBSection(NULL, (BITMAPINFO*)&bmi, DIB_RGB_COLORS, ppBits, NULL, 0);
}

// A packed picture built by hand: the header, a table and the given rows.
HGLOBAL MakePacked(int cx, int cy, int nBits, const std::vector<RGBQUAD>& table, const std::vector<BYTE>& pixels)
{
    size_t nSize = sizeof(BITMAPINFOHEADER) + table.size() * sizeof(RGBQUAD) + pixels.size();
    HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, nSize);
    BYTE* p = (BYTE*)::GlobalLock(h);
    BITMAPINFOHEADER* pHeader = (BITMAPINFOHEADER*)p;
    pHeader->biSize = sizeof(BITMAPINFOHEADER);
    pHeader->biWidth = cx;
    pHeader->biHeight = cy;
    pHeader->biPlanes = 1;
    pHeader->biBitCount = (WORD)nBits;
    pHeader->biSizeImage = (DWORD)pixels.size();
    memcpy(p + sizeof(BITMAPINFOHEADER), table.data(), table.size() * sizeof(RGBQUAD));
    memcpy(p + sizeof(BITMAPINFOHEADER) + table.size() * sizeof(RGBQUAD), pixels.data(), pixels.size());
    ::GlobalUnlock(h);
    return h;
}

// Converts a packed picture's rows; the RGB triple of (x, y), top row 0.
struct ConvertedRows
{
    std::vector<std::vector<BYTE>> rows;
    BOOL bOk = FALSE;
    CString strMessage;
    COLORREF At(int x, int y) const
    {
        const BYTE* p = &rows[(size_t)y][(size_t)x * 3];
        return RGB(p[0], p[1], p[2]);
    }
};

ConvertedRows Convert(HGLOBAL hDib)
{
    ConvertedRows result;
    const BITMAPINFOHEADER* pHeader = (const BITMAPINFOHEADER*)::GlobalLock(hDib);
    result.rows.assign((size_t)pHeader->biHeight, std::vector<BYTE>((size_t)pHeader->biWidth * 3));
    std::vector<BYTE*> pointers;
    for (auto& row : result.rows)
        pointers.push_back(row.data());
    result.bOk = ConvertDibRows(result.strMessage, pointers.data(), pHeader, (int)pHeader->biWidth * 3);
    ::GlobalUnlock(hDib);
    return result;
}

struct DecodedJpeg
{
    int nWidth = 0, nHeight = 0, nComponents = 0;
    J_COLOR_SPACE colourSpace = JCS_UNKNOWN;
    std::vector<BYTE> firstRow, lastRow;
};

struct DecodeError
{
    jpeg_error_mgr mgr;
    jmp_buf jump;
};

extern "C" void DecodeErrorExit(j_common_ptr p)
{
    longjmp(((DecodeError*)p->err)->jump, 1);
}

bool DecodeJpeg(const std::string& path, DecodedJpeg& out)
{
    FILE* f = fopen(path.c_str(), "rb");
    if (f == NULL)
        return false;
    jpeg_decompress_struct info;
    DecodeError error;
    info.err = jpeg_std_error(&error.mgr);
    error.mgr.error_exit = DecodeErrorExit;
    if (setjmp(error.jump))
    {
        jpeg_destroy_decompress(&info);
        fclose(f);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, f);
    jpeg_read_header(&info, TRUE);
    out.nComponents = info.num_components;
    out.colourSpace = info.jpeg_color_space;
    jpeg_start_decompress(&info);
    out.nWidth = (int)info.output_width;
    out.nHeight = (int)info.output_height;
    std::vector<BYTE> row(info.output_width * info.output_components);
    while (info.output_scanline < info.output_height)
    {
        JSAMPROW p = row.data();
        jpeg_read_scanlines(&info, &p, 1);
        if (info.output_scanline == 1)
            out.firstRow = row;
    }
    out.lastRow = row;
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    fclose(f);
    return true;
}
} // namespace

TEST(PictureExport, Rgb555UsesItsWideningTable)
{
    RGBQUAD q = ExpandRgb555((WORD)((31 << 10) | (1 << 5) | 0));
    EXPECT_EQ(255, q.rgbRed);
    EXPECT_EQ(16, q.rgbGreen);
    EXPECT_EQ(0, q.rgbBlue);
    EXPECT_EQ(0, q.rgbReserved);
    q = ExpandRgb555((WORD)((2 << 10) | (30 << 5) | 15));
    EXPECT_EQ(16, q.rgbRed);
    EXPECT_EQ(240, q.rgbGreen);
    EXPECT_EQ(120, q.rgbBlue);
}

TEST(PictureExport, BmpOfAScreenBitmapHasNoTableAndTheRowsBottomUp)
{
    testsupport::CTempFolder folder;
    CBitmap bitmap;
    bitmap.Attach(MakeScreenBitmap(196, 196));
    CImageMaker_Bitmap maker;
    std::string path = folder.Path("board.bmp");
    ASSERT_TRUE(maker.MakeImage(&bitmap, path.c_str()));
    EXPECT_TRUE(maker.GetError().IsEmpty());

    std::vector<BYTE> file = ReadAll(path);
    ASSERT_GE(file.size(), 54u);
    EXPECT_EQ('B', file[0]);
    EXPECT_EQ('M', file[1]);
    EXPECT_EQ(file.size(), Read32(file, 2));
    EXPECT_EQ(54u, Read32(file, 10));
    EXPECT_EQ(196u, Read32(file, 18));
    EXPECT_EQ(196u, Read32(file, 22));
    WORD wBits = (WORD)(file[28] | (file[29] << 8));
    EXPECT_GE(wBits, 16);
    if (wBits == 32)
    {
        EXPECT_EQ(54u + 196 * 196 * 4, file.size());
        // The last stored row is the top of the picture: green, then red.
        size_t nTop = 54 + 195 * 196 * 4;
        EXPECT_EQ(0, file[nTop]);
        EXPECT_EQ(255, file[nTop + 1]);
        EXPECT_EQ(0, file[nTop + 2]);
        EXPECT_EQ(255, file[nTop + 4 + 2]);
        EXPECT_EQ(255, file[54]);   // bottom row, blue
    }
}

TEST(PictureExport, EightBitPicturesCarryTheirColourTable)
{
    testsupport::CTempFolder folder;
    void* pBits = NULL;
    CBitmap bitmap;
    bitmap.Attach(MakeSection(5, 3, 8, &pBits));
    memset(pBits, 7, 8 * 3);
    HGLOBAL hDib = CreatePackedDib(&bitmap, BI_RGB);
    ASSERT_TRUE(hDib != NULL);
    std::string path = folder.Path("eight.bmp");
    ASSERT_TRUE(WriteBmpFile(path.c_str(), hDib));
    std::vector<BYTE> file = ReadAll(path);
    EXPECT_EQ(54u + 1024u, Read32(file, 10));
    EXPECT_EQ(54u + 1024u + 8 * 3, file.size());

    ConvertedRows rows = Convert(hDib);
    ASSERT_TRUE(rows.bOk);
    EXPECT_EQ(RGB(7, 248, 3), rows.At(4, 2));
    ::GlobalFree(hDib);
}

TEST(PictureExport, RowConversionReadsEveryDepthTopRowFirst)
{
    std::vector<RGBQUAD> table2 = {{0, 0, 0, 0}, {255, 255, 255, 0}};
    // 1 bit, 10 pixels a row: 2 bytes used of 4. Bottom row all set, top
    // row only the first and the tenth pixel.
    std::vector<BYTE> one = {0xFF, 0xC0, 0, 0, 0x80, 0x40, 0, 0};
    HGLOBAL h1 = MakePacked(10, 2, 1, table2, one);
    ConvertedRows r1 = Convert(h1);
    ASSERT_TRUE(r1.bOk);
    EXPECT_EQ(RGB(255, 255, 255), r1.At(0, 0));
    EXPECT_EQ(RGB(0, 0, 0), r1.At(1, 0));
    EXPECT_EQ(RGB(255, 255, 255), r1.At(9, 0));
    EXPECT_EQ(RGB(255, 255, 255), r1.At(8, 1));
    ::GlobalFree(h1);

    // 4 bits, high nibble first.
    std::vector<RGBQUAD> table16(16, RGBQUAD{0, 0, 0, 0});
    table16[2] = RGBQUAD{0, 0, 200, 0};
    table16[5] = RGBQUAD{50, 0, 0, 0};
    std::vector<BYTE> four = {0x25, 0x20, 0, 0};
    HGLOBAL h4 = MakePacked(3, 1, 4, table16, four);
    ConvertedRows r4 = Convert(h4);
    ASSERT_TRUE(r4.bOk);
    EXPECT_EQ(RGB(200, 0, 0), r4.At(0, 0));
    EXPECT_EQ(RGB(0, 0, 50), r4.At(1, 0));
    EXPECT_EQ(RGB(200, 0, 0), r4.At(2, 0));
    ::GlobalFree(h4);

    // 16 bits with an odd width: every stored row starts at a 4-byte boundary.
    std::vector<BYTE> sixteen(2 * 8, 0);
    sixteen[8 + 4] = 0x00;
    sixteen[8 + 5] = 0x7C;   // top row, third pixel: red 31
    HGLOBAL h16 = MakePacked(3, 2, 16, {}, sixteen);
    ConvertedRows r16 = Convert(h16);
    ASSERT_TRUE(r16.bOk);
    EXPECT_EQ(RGB(255, 0, 0), r16.At(2, 0));
    EXPECT_EQ(RGB(0, 0, 0), r16.At(2, 1));
    ::GlobalFree(h16);

    // 24 bits: blue, green, red.
    std::vector<BYTE> twentyFour = {1, 2, 3, 0};
    HGLOBAL h24 = MakePacked(1, 1, 24, {}, twentyFour);
    EXPECT_EQ(RGB(3, 2, 1), Convert(h24).At(0, 0));
    ::GlobalFree(h24);
}

TEST(PictureExport, RowConversionRefusesWhatItCannotRead)
{
    CString strMessage;
    BYTE row[12];
    BYTE* pRow = row;
    EXPECT_FALSE(ConvertDibRows(strMessage, &pRow, NULL, 12));
    EXPECT_STREQ("Invalid input data", strMessage);

    HGLOBAL hTwoBits = MakePacked(4, 1, 2, {}, std::vector<BYTE>(4, 0));
    const BITMAPINFOHEADER* pHeader = (const BITMAPINFOHEADER*)::GlobalLock(hTwoBits);
    EXPECT_FALSE(ConvertDibRows(strMessage, &pRow, pHeader, 12));
    EXPECT_STREQ("Invalid bitmap bit count", strMessage);
    // A stride too small for the width would write past each row.
    HGLOBAL hWide = MakePacked(8, 1, 24, {}, std::vector<BYTE>(24, 0));
    EXPECT_FALSE(ConvertDibRows(strMessage, &pRow, (const BITMAPINFOHEADER*)::GlobalLock(hWide), 12));
    ::GlobalUnlock(hWide);
    ::GlobalFree(hWide);
    ::GlobalUnlock(hTwoBits);
    ::GlobalFree(hTwoBits);
}

TEST(PictureExport, JpegHasThreeComponentsAndTheTopRowFirst)
{
    testsupport::CTempFolder folder;
    CBitmap bitmap;
    bitmap.Attach(MakeScreenBitmap(64, 48));
    CImageMaker_JPEG maker;
    std::string path = folder.Path("board.jpg");
    ASSERT_TRUE(maker.MakeImage(&bitmap, path.c_str())) << (LPCTSTR)maker.GetError();

    DecodedJpeg jpeg;
    ASSERT_TRUE(DecodeJpeg(path, jpeg));
    EXPECT_EQ(64, jpeg.nWidth);
    EXPECT_EQ(48, jpeg.nHeight);
    EXPECT_EQ(3, jpeg.nComponents);
    // The first decoded row is the red top of the picture, the last the blue bottom.
    ASSERT_EQ(64u * 3, jpeg.firstRow.size());
    EXPECT_GT(jpeg.firstRow[30 * 3], 200);
    EXPECT_LT(jpeg.firstRow[30 * 3 + 2], 60);
    EXPECT_GT(jpeg.lastRow[30 * 3 + 2], 200);
    EXPECT_LT(jpeg.lastRow[30 * 3], 60);
}

TEST(PictureExport, AFailedWriteSaysWhyAndLeavesNoFile)
{
    testsupport::CTempFolder folder;
    CString strMessage;
    EXPECT_FALSE(WriteJpegFile(strMessage, NULL, folder.Path("x.jpg").c_str()));
    EXPECT_STREQ("Invalid input data", strMessage);

    CBitmap bitmap;
    bitmap.Attach(MakeScreenBitmap(8, 8));
    HGLOBAL hDib = CreatePackedDib(&bitmap, BI_RGB);
    ASSERT_TRUE(hDib != NULL);
    std::string missing = folder.Path("no such folder\\x.jpg");
    EXPECT_FALSE(WriteJpegFile(strMessage, hDib, missing.c_str()));
    EXPECT_EQ(CString("Cannot open ") + missing.c_str(), strMessage);
    EXPECT_FALSE(WriteBmpFile(folder.Path("no such folder\\x.bmp").c_str(), hDib));
    ::GlobalFree(hDib);

    // A depth the converter cannot read stops the JPEG before any row is
    // written; the started file goes.
    HGLOBAL hTwoBits = MakePacked(4, 2, 2, {}, std::vector<BYTE>(8, 0));
    std::string path = folder.Path("two_bits.jpg");
    EXPECT_FALSE(WriteJpegFile(strMessage, hTwoBits, path.c_str()));
    EXPECT_STREQ("Invalid bitmap bit count", strMessage);
    EXPECT_FALSE(FileExists(path));
    ::GlobalFree(hTwoBits);

    // A picture the compressor itself refuses (wider than JPEG allows)
    // reports libjpeg's message instead of ending the program.
    HGLOBAL hHuge = MakePacked(70000, 1, 24, {}, std::vector<BYTE>(70000 * 3 + 4, 0));
    path = folder.Path("huge.jpg");
    EXPECT_FALSE(WriteJpegFile(strMessage, hHuge, path.c_str()));
    EXPECT_FALSE(strMessage.IsEmpty());
    EXPECT_FALSE(FileExists(path));
    ::GlobalFree(hHuge);
}
