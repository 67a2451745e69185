// Saving a picture drawn by a test as a PNG snapshot under
// <build folder>/snapshots/<test program>/<name>.png, so that people can look
// at what the program draws. The build folder is the nearest folder above
// the test program that holds CMakeCache.txt.
#pragma once

#include <windows.h>
#include <png.h>
#include <stdio.h>

#include <string>
#include <vector>

namespace testsupport
{
namespace detail
{
inline std::string SnapshotFolder()
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

// Writes top-down 0x00RRGGBB pixels as an RGB PNG; libpng reports errors by
// jumping back here, and only C code lies between.
inline bool WritePng(FILE* pFile, const DWORD* pPixels, int cx, int cy)
{
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, NULL, NULL, NULL);
    if (png == NULL)
        return false;
    png_infop info = png_create_info_struct(png);
    std::vector<BYTE> row(cx * 3);
    if (info == NULL || setjmp(png_jmpbuf(png)))
    {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, pFile);
    png_set_IHDR(png, info, cx, cy, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < cy; y++)
    {
        for (int x = 0; x < cx; x++)
        {
            DWORD v = pPixels[y * cx + x];
            row[x * 3] = (BYTE)(v >> 16);
            row[x * 3 + 1] = (BYTE)(v >> 8);
            row[x * 3 + 2] = (BYTE)v;
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, NULL);
    png_destroy_write_struct(&png, &info);
    return true;
}
} // namespace detail

// Saves the cx x cy pixels at the origin of a DC; false (with a message on
// stderr) when the file cannot be written.
inline bool SaveSnapshot(HDC hDC, int cx, int cy, const char* pszName)
{
    std::string strDir = detail::SnapshotFolder();
    if (strDir.empty())
        return false;

    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = cx;
    bmi.bmiHeader.biHeight = -cy;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    DWORD* pBits = NULL;
    HDC hMemDC = ::CreateCompatibleDC(hDC);
    HBITMAP hBitmap = ::CreateDIBSection(hMemDC, &bmi, DIB_RGB_COLORS, reinterpret_cast<void**>(&pBits), NULL, 0);
    bool bOk = false;
    if (hMemDC != NULL && hBitmap != NULL)
    {
        HGDIOBJ hOld = ::SelectObject(hMemDC, hBitmap);
        ::BitBlt(hMemDC, 0, 0, cx, cy, hDC, 0, 0, SRCCOPY);
        ::GdiFlush();
        std::string strPath = strDir + "\\" + pszName + ".png";
        FILE* pFile = fopen(strPath.c_str(), "wb");
        if (pFile != NULL)
        {
            bOk = detail::WritePng(pFile, pBits, cx, cy);
            fclose(pFile);
        }
        if (!bOk)
            fprintf(stderr, "cannot write %s\n", strPath.c_str());
        ::SelectObject(hMemDC, hOld);
    }
    if (hBitmap != NULL)
        ::DeleteObject(hBitmap);
    if (hMemDC != NULL)
        ::DeleteDC(hMemDC);
    return bOk;
}

// Saves a bitmap (a DDB or a DIB section) as <name>.png.
inline bool SaveSnapshot(HBITMAP hBitmap, const char* pszName)
{
    BITMAP bm = {};
    if (hBitmap == NULL || !::GetObjectA(hBitmap, sizeof(bm), &bm))
        return false;
    HDC hDC = ::CreateCompatibleDC(NULL);
    HGDIOBJ hOld = ::SelectObject(hDC, hBitmap);
    bool bOk = SaveSnapshot(hDC, bm.bmWidth, bm.bmHeight, pszName);
    ::SelectObject(hDC, hOld);
    ::DeleteDC(hDC);
    return bOk;
}

// Paints a window with its frame and children (WM_PRINT) and saves it.
inline bool SaveWindowSnapshot(HWND hWnd, const char* pszName)
{
    RECT rc;
    if (!::GetWindowRect(hWnd, &rc))
        return false;
    int cx = rc.right - rc.left, cy = rc.bottom - rc.top;
    HDC hScreen = ::GetDC(NULL);
    HDC hDC = ::CreateCompatibleDC(hScreen);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, cx, cy);
    ::ReleaseDC(NULL, hScreen);
    HGDIOBJ hOld = ::SelectObject(hDC, hBitmap);
    RECT rcFill = {0, 0, cx, cy};
    ::FillRect(hDC, &rcFill, (HBRUSH)::GetStockObject(WHITE_BRUSH));
    ::SendMessageA(hWnd, WM_PRINT, (WPARAM)hDC, PRF_CLIENT | PRF_NONCLIENT | PRF_CHILDREN | PRF_ERASEBKGND);
    bool bOk = SaveSnapshot(hDC, cx, cy, pszName);
    ::SelectObject(hDC, hOld);
    ::DeleteObject(hBitmap);
    ::DeleteDC(hDC);
    return bOk;
}
} // namespace testsupport
