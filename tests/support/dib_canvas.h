// A top-down DIB section of 24 or 32 bits per pixel selected into a memory DC,
// for drawing tests that read pixels back, and the saving of a canvas as a
// PNG snapshot under <build folder>/snapshots/<test program>/.
#pragma once

#include <afxwin.h>
#include <png.h>
#include <stdio.h>

#include <string>
#include <vector>

namespace testsupport
{
class DibCanvas
{
public:
    DibCanvas(int cx, int cy, int nBits = 32, COLORREF clrFill = RGB(255, 255, 255))
        : m_cx(cx), m_cy(cy), m_nBits(nBits), m_nStride(((cx * nBits + 31) / 32) * 4)
    {
        BITMAPINFO bmi = {};
        bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bmi.bmiHeader.biWidth = cx;
        bmi.bmiHeader.biHeight = -cy;
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = (WORD)nBits;
        m_hDC = ::CreateCompatibleDC(NULL);
        m_hBitmap = ::CreateDIBSection(m_hDC, &bmi, DIB_RGB_COLORS, reinterpret_cast<void**>(&m_pBits), NULL, 0);
        m_hOld = ::SelectObject(m_hDC, m_hBitmap);
        Fill(clrFill);
    }
    ~DibCanvas()
    {
        ::SelectObject(m_hDC, m_hOld);
        ::DeleteObject(m_hBitmap);
        ::DeleteDC(m_hDC);
    }
    DibCanvas(const DibCanvas&) = delete;
    DibCanvas& operator=(const DibCanvas&) = delete;

    void Fill(COLORREF clr)
    {
        RECT rc = { 0, 0, m_cx, m_cy };
        HBRUSH hBrush = ::CreateSolidBrush(clr);
        ::FillRect(m_hDC, &rc, hBrush);
        ::DeleteObject(hBrush);
    }
    COLORREF Pixel(int x, int y) const
    {
        if (x < 0 || y < 0 || x >= m_cx || y >= m_cy)
            return CLR_INVALID;
        ::GdiFlush();
        const BYTE* p = m_pBits + y * m_nStride + x * (m_nBits / 8);
        return RGB(p[2], p[1], p[0]);
    }
    HDC GetDC() const { return m_hDC; }
    CDC* GetCDC() const { return CDC::FromHandle(m_hDC); }
    int Width() const { return m_cx; }
    int Height() const { return m_cy; }
    int Bits() const { return m_nBits; }

    // Writes the canvas as <build>/snapshots/<program>/<name>.png; false
    // (with a message on stderr) when the file cannot be written.
    bool SaveSnapshot(const char* pszName) const
    {
        std::string strDir = SnapshotFolder();
        if (strDir.empty())
            return false;
        std::string strPath = strDir + "\\" + pszName + ".png";
        FILE* pFile = fopen(strPath.c_str(), "wb");
        if (pFile == NULL)
        {
            fprintf(stderr, "cannot write %s\n", strPath.c_str());
            return false;
        }
        bool bOk = WritePng(pFile);
        fclose(pFile);
        if (!bOk)
            fprintf(stderr, "cannot encode %s\n", strPath.c_str());
        return bOk;
    }

private:
    bool WritePng(FILE* pFile) const
    {
        png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, NULL, NULL, NULL);
        if (png == NULL)
            return false;
        png_infop info = png_create_info_struct(png);
        std::vector<BYTE> row(m_cx * 3);
        if (info == NULL || setjmp(png_jmpbuf(png)))
        {
            png_destroy_write_struct(&png, &info);
            return false;
        }
        png_init_io(png, pFile);
        png_set_IHDR(png, info, m_cx, m_cy, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                     PNG_FILTER_TYPE_DEFAULT);
        png_write_info(png, info);
        ::GdiFlush();
        for (int y = 0; y < m_cy; y++)
        {
            const BYTE* p = m_pBits + y * m_nStride;
            for (int x = 0; x < m_cx; x++, p += m_nBits / 8)
            {
                row[x * 3] = p[2];
                row[x * 3 + 1] = p[1];
                row[x * 3 + 2] = p[0];
            }
            png_write_row(png, row.data());
        }
        png_write_end(png, NULL);
        png_destroy_write_struct(&png, &info);
        return true;
    }

    // <build folder>\snapshots\<program>, made when missing. The build folder
    // is the nearest folder above the program that holds CMakeCache.txt.
    static std::string SnapshotFolder()
    {
        char szModule[MAX_PATH] = "";
        ::GetModuleFileNameA(NULL, szModule, MAX_PATH);
        std::string strModule = szModule;
        size_t nSlash = strModule.find_last_of("\\/");
        std::string strProgram = strModule.substr(nSlash + 1);
        size_t nDot = strProgram.rfind('.');
        if (nDot != std::string::npos)
            strProgram = strProgram.substr(0, nDot);

        std::string strDir = strModule.substr(0, nSlash);
        while (!strDir.empty())
        {
            if (::GetFileAttributesA((strDir + "\\CMakeCache.txt").c_str()) != INVALID_FILE_ATTRIBUTES)
            {
                std::string strSnapshots = strDir + "\\snapshots";
                ::CreateDirectoryA(strSnapshots.c_str(), NULL);
                std::string strFolder = strSnapshots + "\\" + strProgram;
                ::CreateDirectoryA(strFolder.c_str(), NULL);
                return strFolder;
            }
            size_t n = strDir.find_last_of("\\/");
            if (n == std::string::npos)
                break;
            strDir = strDir.substr(0, n);
        }
        fprintf(stderr, "no build folder above %s\n", szModule);
        return std::string();
    }

    int m_cx;
    int m_cy;
    int m_nBits;
    int m_nStride;
    HDC m_hDC;
    HBITMAP m_hBitmap;
    HGDIOBJ m_hOld;
    BYTE* m_pBits = nullptr;
};
} // namespace testsupport
