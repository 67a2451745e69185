// PNG snapshots of drawn pictures, saved under build/snapshots/<test
// program>/ so that a person can look at what the tests drew.
#pragma once

#include "support/canvas.h"

#include <afxwin.h>
#include <png.h>

#include <setjmp.h>
#include <string>
#include <vector>

namespace testsupport
{
using Canvas = testsupport::Canvas;

// build/snapshots/<program>/, created when missing. The build folder is the
// first folder above the program that holds CMakeCache.txt.
inline std::string SnapshotFolder()
{
    char szPath[MAX_PATH] = {};
    ::GetModuleFileNameA(NULL, szPath, MAX_PATH);
    std::string strPath(szPath);
    size_t nSlash = strPath.find_last_of("\\/");
    std::string strFolder = nSlash != std::string::npos ? strPath.substr(0, nSlash) : std::string(".");
    std::string strProgram = nSlash != std::string::npos ? strPath.substr(nSlash + 1) : strPath;
    size_t nDot = strProgram.rfind('.');
    if (nDot != std::string::npos)
        strProgram = strProgram.substr(0, nDot);

    std::string strBuild = strFolder;
    while (::GetFileAttributesA((strBuild + "\\CMakeCache.txt").c_str()) == INVALID_FILE_ATTRIBUTES)
    {
        size_t nUp = strBuild.find_last_of("\\/");
        if (nUp == std::string::npos)
        {
            strBuild = strFolder;
            break;
        }
        strBuild = strBuild.substr(0, nUp);
    }
    std::string strSnapshots = strBuild + "\\snapshots";
    ::CreateDirectoryA(strSnapshots.c_str(), NULL);
    strSnapshots += "\\" + strProgram;
    ::CreateDirectoryA(strSnapshots.c_str(), NULL);
    return strSnapshots;
}

namespace detail
{
inline void PngError(png_structp pPng, png_const_charp)
{
    longjmp(png_jmpbuf(pPng), 1);
}

inline void PngWarning(png_structp, png_const_charp)
{
}

// Writes RGB rows; no C++ object with a destructor lives between setjmp
// and the library calls.
inline bool WritePng(FILE* pFile, int cx, int cy, const std::vector<png_byte>& pixels)
{
    png_structp pPng = png_create_write_struct(PNG_LIBPNG_VER_STRING, NULL, PngError, PngWarning);
    if (pPng == NULL)
        return false;
    png_infop pInfo = png_create_info_struct(pPng);
    if (pInfo == NULL || setjmp(png_jmpbuf(pPng)))
    {
        png_destroy_write_struct(&pPng, pInfo != NULL ? &pInfo : NULL);
        return false;
    }
    png_init_io(pPng, pFile);
    png_set_IHDR(pPng, pInfo, (png_uint_32)cx, (png_uint_32)cy, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(pPng, pInfo);
    for (int y = 0; y < cy; y++)
        png_write_row(pPng, const_cast<png_bytep>(&pixels[(size_t)y * cx * 3]));
    png_write_end(pPng, pInfo);
    png_destroy_write_struct(&pPng, &pInfo);
    return true;
}
} // namespace detail

// Saves the canvas as <name>.png in the program's snapshot folder; the path
// written, or an empty string when it could not be written.
inline std::string SaveSnapshot(const Canvas& canvas, const std::string& strName)
{
    const int cx = canvas.Width(), cy = canvas.Height();
    std::vector<png_byte> pixels((size_t)cx * cy * 3);
    for (int y = 0; y < cy; y++)
    {
        for (int x = 0; x < cx; x++)
        {
            COLORREF clr = canvas.Pixel(x, y);
            png_byte* p = &pixels[((size_t)y * cx + x) * 3];
            p[0] = GetRValue(clr);
            p[1] = GetGValue(clr);
            p[2] = GetBValue(clr);
        }
    }
    std::string strPath = SnapshotFolder() + "\\" + strName + ".png";
    FILE* pFile = fopen(strPath.c_str(), "wb");
    if (pFile == NULL)
        return std::string();
    bool bWritten = detail::WritePng(pFile, cx, cy, pixels);
    fclose(pFile);
    return bWritten ? strPath : std::string();
}
} // namespace testsupport

namespace testsupport
{
// Copies what the screen shows of a window into a canvas of its size (the
// window must be visible and uncovered: tests that call this read the screen
// and run serially).
inline void CaptureWindow(HWND hWnd, Canvas& canvas)
{
    ::RedrawWindow(hWnd, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
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
    HDC hScreen = ::GetDC(NULL);
    ::BitBlt(canvas.Handle(), 0, 0, rc.right - rc.left, rc.bottom - rc.top, hScreen, rc.left, rc.top, SRCCOPY);
    ::ReleaseDC(NULL, hScreen);
    ::GdiFlush();
}

// Saves what the screen shows of a window as <name>.png; false on failure.
inline bool SaveWindowSnapshot(HWND hWnd, const std::string& strName)
{
    RECT rc;
    if (!::GetWindowRect(hWnd, &rc))
        return false;
    Canvas canvas(rc.right - rc.left, rc.bottom - rc.top);
    CaptureWindow(hWnd, canvas);
    return !SaveSnapshot(canvas, strName).empty();
}
} // namespace testsupport
