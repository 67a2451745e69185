// PNG snapshots of what tests draw: a bitmap, or a window with its children
// painted through WM_PRINT into a DIB (no screen reading). Files go to
// <build>/snapshots/<test program>/<name>.png, for a person to look at.
#pragma once

#include <windows.h>

#include <png.h>
#include <stdio.h>

#include <string>
#include <vector>

#ifndef BM_SNAPSHOT_ROOT
#define BM_SNAPSHOT_ROOT "snapshots"
#endif

namespace testsupport
{
// The test program's name without folder and extension.
inline std::string ProgramName()
{
    char szPath[MAX_PATH] = "";
    ::GetModuleFileNameA(NULL, szPath, MAX_PATH);
    std::string strName = szPath;
    const size_t nSlash = strName.find_last_of("\\/");
    if (nSlash != std::string::npos)
        strName = strName.substr(nSlash + 1);
    const size_t nDot = strName.rfind('.');
    if (nDot != std::string::npos)
        strName = strName.substr(0, nDot);
    return strName;
}

// The 32-bit top-down pixels of a bitmap (BGRA), or empty.
inline std::vector<DWORD> ReadBitmapPixels(HBITMAP hBitmap, int& cx, int& cy)
{
    BITMAP bm = {};
    if (hBitmap == NULL || !::GetObject(hBitmap, sizeof(bm), &bm))
        return std::vector<DWORD>();
    cx = bm.bmWidth;
    cy = bm.bmHeight;
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = cx;
    bmi.bmiHeader.biHeight = -cy;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    std::vector<DWORD> pixels((size_t)cx * cy);
    HDC hDC = ::GetDC(NULL);
    ::GetDIBits(hDC, hBitmap, 0, cy, pixels.data(), &bmi, DIB_RGB_COLORS);
    ::ReleaseDC(NULL, hDC);
    return pixels;
}

// Writes the bitmap as snapshots/<program>/<name>.png. TRUE when written.
inline bool SaveSnapshot(HBITMAP hBitmap, const char* pszName)
{
    int cx = 0, cy = 0;
    std::vector<DWORD> pixels = ReadBitmapPixels(hBitmap, cx, cy);
    if (pixels.empty())
        return false;
    const std::string strFolder = std::string(BM_SNAPSHOT_ROOT) + "/" + ProgramName();
    ::CreateDirectoryA(BM_SNAPSHOT_ROOT, NULL);
    ::CreateDirectoryA(strFolder.c_str(), NULL);
    const std::string strPath = strFolder + "/" + pszName + ".png";
    FILE* pFile = fopen(strPath.c_str(), "wb");
    if (pFile == NULL)
        return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, NULL, NULL, NULL);
    png_infop info = png != NULL ? png_create_info_struct(png) : NULL;
    std::vector<png_byte> row((size_t)cx * 3);
    bool bWritten = false;
    if (info != NULL && setjmp(png_jmpbuf(png)) == 0)
    {
        png_init_io(png, pFile);
        png_set_IHDR(png, info, cx, cy, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                     PNG_FILTER_TYPE_DEFAULT);
        png_write_info(png, info);
        for (int y = 0; y < cy; y++)
        {
            for (int x = 0; x < cx; x++)
            {
                const DWORD p = pixels[(size_t)y * cx + x];
                row[x * 3 + 0] = (png_byte)((p >> 16) & 0xFF);
                row[x * 3 + 1] = (png_byte)((p >> 8) & 0xFF);
                row[x * 3 + 2] = (png_byte)(p & 0xFF);
            }
            png_write_row(png, row.data());
        }
        png_write_end(png, NULL);
        bWritten = true;
    }
    png_destroy_write_struct(&png, &info);
    fclose(pFile);
    return bWritten;
}

// Paints a window and its visible children, bottom of the Z order first,
// into hDC at the window's offset from the top window.
inline void PrintWindowTree(HWND hWnd, HDC hDC, const RECT& rcTop)
{
    RECT rc;
    ::GetWindowRect(hWnd, &rc);
    POINT ptOld;
    ::SetViewportOrgEx(hDC, rc.left - rcTop.left, rc.top - rcTop.top, &ptOld);
    ::SendMessage(hWnd, WM_PRINT, (WPARAM)hDC, PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND);
    ::SetViewportOrgEx(hDC, ptOld.x, ptOld.y, NULL);

    HWND hChild = ::GetWindow(hWnd, GW_CHILD);
    if (hChild == NULL)
        return;
    for (HWND hLast = ::GetWindow(hChild, GW_HWNDLAST); hLast != NULL; hLast = ::GetWindow(hLast, GW_HWNDPREV))
    {
        if (::IsWindowVisible(hLast))
            PrintWindowTree(hLast, hDC, rcTop);
    }
}

// A DIB holding the window and its children as they paint themselves.
inline HBITMAP CaptureWindow(HWND hWnd)
{
    RECT rc;
    ::GetWindowRect(hWnd, &rc);
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = rc.right - rc.left;
    bmi.bmiHeader.biHeight = -(rc.bottom - rc.top);
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* pBits = NULL;
    HBITMAP hBitmap = ::CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
    HDC hDC = ::CreateCompatibleDC(NULL);
    HGDIOBJ hOld = ::SelectObject(hDC, hBitmap);
    RECT rcAll = {0, 0, rc.right - rc.left, rc.bottom - rc.top};
    ::FillRect(hDC, &rcAll, (HBRUSH)::GetStockObject(WHITE_BRUSH));
    PrintWindowTree(hWnd, hDC, rc);
    ::GdiFlush();
    ::SelectObject(hDC, hOld);
    ::DeleteDC(hDC);
    return hBitmap;
}

inline bool SaveWindowSnapshot(HWND hWnd, const char* pszName)
{
    HBITMAP hBitmap = CaptureWindow(hWnd);
    const bool bSaved = SaveSnapshot(hBitmap, pszName);
    ::DeleteObject(hBitmap);
    return bSaved;
}
} // namespace testsupport
