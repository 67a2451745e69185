// PNG snapshots of what tests draw: build/snapshots/<test program>/<name>.png.
#pragma once

#include <windows.h>
#include <png.h>
#include <setjmp.h>
#include <stdio.h>

#include <string>
#include <vector>

namespace testsupport
{
// The build folder (the nearest folder above the program that holds
// CMakeCache.txt) and the program's name.
inline bool GetSnapshotFolder(std::string& strFolder)
{
    char szPath[MAX_PATH];
    DWORD n = ::GetModuleFileNameA(NULL, szPath, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return false;
    std::string strExe(szPath);
    size_t nSlash = strExe.find_last_of("\\/");
    std::string strName = strExe.substr(nSlash + 1);
    size_t nDot = strName.rfind('.');
    if (nDot != std::string::npos)
        strName = strName.substr(0, nDot);
    std::string strDir = strExe.substr(0, nSlash);
    while (!strDir.empty())
    {
        if (::GetFileAttributesA((strDir + "\\CMakeCache.txt").c_str()) != INVALID_FILE_ATTRIBUTES)
        {
            std::string strSnapshots = strDir + "\\snapshots";
            ::CreateDirectoryA(strSnapshots.c_str(), NULL);
            strFolder = strSnapshots + "\\" + strName;
            ::CreateDirectoryA(strFolder.c_str(), NULL);
            return true;
        }
        size_t nUp = strDir.find_last_of("\\/");
        if (nUp == std::string::npos)
            break;
        strDir = strDir.substr(0, nUp);
    }
    return false;
}

// Writes top-down 0x00RRGGBB pixels as an RGB PNG. False on any failure.
inline bool WritePng(const std::string& strPath, int cx, int cy, const std::vector<DWORD>& pixels)
{
    if (cx <= 0 || cy <= 0 || pixels.size() < (size_t)cx * cy)
        return false;
    FILE* pFile = fopen(strPath.c_str(), "wb");
    if (pFile == NULL)
        return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, NULL, NULL, NULL);
    png_infop info = png != NULL ? png_create_info_struct(png) : NULL;
    if (png == NULL || info == NULL)
    {
        png_destroy_write_struct(&png, &info);
        fclose(pFile);
        return false;
    }
    std::vector<png_byte> row((size_t)cx * 3);
    if (setjmp(png_jmpbuf(png)))
    {
        png_destroy_write_struct(&png, &info);
        fclose(pFile);
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
            DWORD px = pixels[(size_t)y * cx + x];
            row[x * 3] = (png_byte)(px >> 16);
            row[x * 3 + 1] = (png_byte)(px >> 8);
            row[x * 3 + 2] = (png_byte)px;
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, NULL);
    png_destroy_write_struct(&png, &info);
    return fclose(pFile) == 0;
}

// Copies a rectangle of a DC into top-down 0x00RRGGBB pixels.
inline std::vector<DWORD> ReadPixels(HDC hDC, const RECT& rc)
{
    int cx = rc.right - rc.left, cy = rc.bottom - rc.top;
    std::vector<DWORD> pixels;
    if (cx <= 0 || cy <= 0)
        return pixels;
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = cx;
    bmi.bmiHeader.biHeight = -cy;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    void* pBits = NULL;
    HBITMAP hBitmap = ::CreateDIBSection(hDC, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
    if (hBitmap == NULL)
        return pixels;
    HDC hMemDC = ::CreateCompatibleDC(hDC);
    HGDIOBJ hOld = ::SelectObject(hMemDC, hBitmap);
    ::BitBlt(hMemDC, 0, 0, cx, cy, hDC, rc.left, rc.top, SRCCOPY);
    ::GdiFlush();
    pixels.assign((const DWORD*)pBits, (const DWORD*)pBits + (size_t)cx * cy);
    for (DWORD& px : pixels)
        px &= 0x00FFFFFF;
    ::SelectObject(hMemDC, hOld);
    ::DeleteDC(hMemDC);
    ::DeleteObject(hBitmap);
    return pixels;
}

// What the screen shows of a window (it must be visible and uncovered: tests
// that call this read the screen and run serially).
inline std::vector<DWORD> CaptureWindow(HWND hWnd, int& cx, int& cy)
{
    ::RedrawWindow(hWnd, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    ::GdiFlush();
    // Wine copies window contents to the screen while the thread looks at
    // its queue; give it a few turns.
    for (int i = 0; i < 4; i++)
    {
        MSG msg;
        while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
        {
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
        }
        ::Sleep(25);
    }
    RECT rc;
    ::GetWindowRect(hWnd, &rc);
    cx = rc.right - rc.left;
    cy = rc.bottom - rc.top;
    HDC hScreen = ::GetDC(NULL);
    std::vector<DWORD> pixels = ReadPixels(hScreen, rc);
    ::ReleaseDC(NULL, hScreen);
    return pixels;
}

// Saves what the screen shows of a window as <name>.png; false on failure.
inline bool SaveWindowSnapshot(HWND hWnd, const char* pszName)
{
    std::string strFolder;
    if (!GetSnapshotFolder(strFolder))
        return false;
    int cx = 0, cy = 0;
    std::vector<DWORD> pixels = CaptureWindow(hWnd, cx, cy);
    return WritePng(strFolder + "\\" + pszName + ".png", cx, cy, pixels);
}
} // namespace testsupport
