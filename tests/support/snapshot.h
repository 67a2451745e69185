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
    volatile bool bWritten = false;
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

// Paints a window's client area (its background, then WM_PRINTCLIENT) and
// its visible children, bottom of the Z order first, into hDC with the
// client area's top-left at ptOrigin. Each window paints into a picture of
// its own first: controls clip to their client rectangle in device
// coordinates, so they cannot paint through a moved origin.
inline void PrintClientTree(HWND hWnd, HDC hDC, POINT ptOrigin)
{
    RECT rcClient;
    ::GetClientRect(hWnd, &rcClient);
    if (rcClient.right > 0 && rcClient.bottom > 0)
    {
        HDC hDCWnd = ::CreateCompatibleDC(hDC);
        HBITMAP hBitmap = ::CreateCompatibleBitmap(hDC, rcClient.right, rcClient.bottom);
        HGDIOBJ hOld = ::SelectObject(hDCWnd, hBitmap);
        ::FillRect(hDCWnd, &rcClient, ::GetSysColorBrush(COLOR_3DFACE));
        ::SendMessage(hWnd, WM_ERASEBKGND, (WPARAM)hDCWnd, 0);
        ::SendMessage(hWnd, WM_PRINTCLIENT, (WPARAM)hDCWnd, PRF_CLIENT | PRF_ERASEBKGND);
        ::BitBlt(hDC, ptOrigin.x, ptOrigin.y, rcClient.right, rcClient.bottom, hDCWnd, 0, 0, SRCCOPY);
        ::SelectObject(hDCWnd, hOld);
        ::DeleteObject(hBitmap);
        ::DeleteDC(hDCWnd);
    }

    POINT ptClient = {0, 0};
    ::ClientToScreen(hWnd, &ptClient);
    HWND hChild = ::GetWindow(hWnd, GW_CHILD);
    if (hChild == NULL)
        return;
    for (HWND hLast = ::GetWindow(hChild, GW_HWNDLAST); hLast != NULL; hLast = ::GetWindow(hLast, GW_HWNDPREV))
    {
        if (!::IsWindowVisible(hLast))
            continue;
        RECT rcChild;
        ::GetWindowRect(hLast, &rcChild);
        POINT ptChildClient = {0, 0};
        ::ClientToScreen(hLast, &ptChildClient);
        if (ptChildClient.x != rcChild.left || ptChildClient.y != rcChild.top)
        {
            // A bordered child: its edge round the client area.
            RECT rcBorder = {ptOrigin.x + rcChild.left - ptClient.x, ptOrigin.y + rcChild.top - ptClient.y,
                             ptOrigin.x + rcChild.right - ptClient.x, ptOrigin.y + rcChild.bottom - ptClient.y};
            const bool bClientEdge = (::GetWindowLong(hLast, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) != 0;
            ::DrawEdge(hDC, &rcBorder, bClientEdge ? EDGE_SUNKEN : BDR_SUNKENOUTER, BF_RECT);
        }
        const POINT ptChild = {ptOrigin.x + ptChildClient.x - ptClient.x, ptOrigin.y + ptChildClient.y - ptClient.y};
        PrintClientTree(hLast, hDC, ptChild);
    }
}

// A DIB of the window as it looks: a frame and caption drawn by the system's
// helpers, then the client area and the children as they paint themselves.
inline HBITMAP CaptureWindow(HWND hWnd)
{
    RECT rc;
    ::GetWindowRect(hWnd, &rc);
    const int cx = rc.right - rc.left, cy = rc.bottom - rc.top;
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = cx;
    bmi.bmiHeader.biHeight = -cy;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* pBits = NULL;
    HBITMAP hBitmap = ::CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
    HDC hDC = ::CreateCompatibleDC(NULL);
    HGDIOBJ hOld = ::SelectObject(hDC, hBitmap);
    RECT rcAll = {0, 0, cx, cy};
    ::FillRect(hDC, &rcAll, ::GetSysColorBrush(COLOR_3DFACE));
    POINT ptClient = {0, 0};
    ::ClientToScreen(hWnd, &ptClient);
    const LONG lStyle = ::GetWindowLong(hWnd, GWL_STYLE);
    if (ptClient.x != rc.left || ptClient.y != rc.top)
        ::DrawEdge(hDC, &rcAll, EDGE_RAISED, BF_RECT);
    if ((lStyle & WS_CAPTION) == WS_CAPTION)
    {
        const int nBorder = ptClient.x - rc.left;
        RECT rcCaption = {nBorder, nBorder, cx - nBorder, ptClient.y - rc.top - 1};
        ::DrawCaption(hWnd, hDC, &rcCaption, DC_ACTIVE | DC_TEXT | DC_GRADIENT);
    }
    const POINT ptOrigin = {ptClient.x - rc.left, ptClient.y - rc.top};
    PrintClientTree(hWnd, hDC, ptOrigin);
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
