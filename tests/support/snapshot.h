// Snapshots of what tests draw: a DC's rectangle or a window saved as a PNG
// file under <build folder>/snapshots/<test program>/, for a person to look at.
#pragma once

#include <windows.h>
#include <png.h>

#include <cstdio>
#include <string>
#include <vector>

namespace testsupport
{
// The build folder: the nearest folder above the test program that holds
// CMakeCache.txt.
inline std::string BuildFolder()
{
    char szPath[MAX_PATH] = { 0 };
    ::GetModuleFileNameA(NULL, szPath, MAX_PATH);
    std::string strDir(szPath);
    for (int i = 0; i < 12; i++)
    {
        size_t nSlash = strDir.find_last_of("\\/");
        if (nSlash == std::string::npos)
            break;
        strDir.resize(nSlash);
        if (::GetFileAttributesA((strDir + "\\CMakeCache.txt").c_str()) != INVALID_FILE_ATTRIBUTES)
            return strDir;
    }
    return ".";
}

// The folder of this program's snapshots, created when missing.
inline std::string SnapshotFolder()
{
    char szPath[MAX_PATH] = { 0 };
    ::GetModuleFileNameA(NULL, szPath, MAX_PATH);
    std::string strName(szPath);
    size_t nSlash = strName.find_last_of("\\/");
    if (nSlash != std::string::npos)
        strName = strName.substr(nSlash + 1);
    size_t nDot = strName.rfind('.');
    if (nDot != std::string::npos)
        strName.resize(nDot);
    std::string strRoot = BuildFolder() + "\\snapshots";
    ::CreateDirectoryA(strRoot.c_str(), NULL);
    std::string strFolder = strRoot + "\\" + strName;
    ::CreateDirectoryA(strFolder.c_str(), NULL);
    return strFolder;
}

// Writes 24-bit rows (top row first, RGB) as a PNG file; false on failure.
inline bool WritePng(const std::string& strFile, int cx, int cy, const std::vector<unsigned char>& rgb)
{
    FILE* pFile = fopen(strFile.c_str(), "wb");
    if (pFile == NULL)
        return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, NULL, NULL, NULL);
    png_infop info = png != NULL ? png_create_info_struct(png) : NULL;
    bool bOk = false;
    if (png != NULL && info != NULL && setjmp(png_jmpbuf(png)) == 0)
    {
        png_init_io(png, pFile);
        png_set_IHDR(png, info, cx, cy, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                     PNG_FILTER_TYPE_DEFAULT);
        png_write_info(png, info);
        for (int y = 0; y < cy; y++)
            png_write_row(png, const_cast<png_bytep>(&rgb[(size_t)y * cx * 3]));
        png_write_end(png, NULL);
        bOk = true;
    }
    png_destroy_write_struct(&png, &info);
    fclose(pFile);
    return bOk;
}

// Saves a rectangle of a DC as <snapshot folder>\<name>.png.
inline bool SaveSnapshot(HDC hDC, const RECT& rc, const char* pszName)
{
    int cx = rc.right - rc.left, cy = rc.bottom - rc.top;
    if (cx <= 0 || cy <= 0)
        return false;
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = cx;
    bmi.bmiHeader.biHeight = -cy;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    void* pBits = NULL;
    HBITMAP hDib = ::CreateDIBSection(hDC, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
    if (hDib == NULL)
        return false;
    HDC hMem = ::CreateCompatibleDC(hDC);
    HGDIOBJ hOld = ::SelectObject(hMem, hDib);
    ::BitBlt(hMem, 0, 0, cx, cy, hDC, rc.left, rc.top, SRCCOPY);
    ::GdiFlush();
    std::vector<unsigned char> rgb((size_t)cx * cy * 3);
    const unsigned char* p = (const unsigned char*)pBits;
    for (size_t i = 0; i < (size_t)cx * cy; i++)
    {
        rgb[i * 3 + 0] = p[i * 4 + 2];
        rgb[i * 3 + 1] = p[i * 4 + 1];
        rgb[i * 3 + 2] = p[i * 4 + 0];
    }
    ::SelectObject(hMem, hOld);
    ::DeleteDC(hMem);
    ::DeleteObject(hDib);
    return WritePng(SnapshotFolder() + "\\" + pszName + ".png", cx, cy, rgb);
}

// Saves what the screen shows of a window (it must be visible and on top).
inline bool SaveWindowSnapshot(HWND hWnd, const char* pszName)
{
    RECT rc;
    ::GetWindowRect(hWnd, &rc);
    HDC hScreen = ::GetDC(NULL);
    bool bOk = SaveSnapshot(hScreen, rc, pszName);
    ::ReleaseDC(NULL, hScreen);
    return bOk;
}
} // namespace testsupport
