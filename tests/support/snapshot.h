// PNG snapshots of drawn pictures, saved under build/snapshots/<test
// program>/ so that a person can look at what the tests drew: a canvas, a
// bitmap, or a window with its children as they paint themselves (no screen
// reading).
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

// Saves a cx x cy picture whose pixels pixel(x, y) gives (a COLORREF) as
// <name>.png in the program's snapshot folder; false when it could not be
// written.
template <class FPixel>
bool SaveSnapshot(int cx, int cy, FPixel pixel, const char* pszName)
{
    std::vector<png_byte> pixels((size_t)cx * cy * 3);
    for (int y = 0; y < cy; y++)
    {
        for (int x = 0; x < cx; x++)
        {
            COLORREF clr = pixel(x, y);
            png_byte* p = &pixels[((size_t)y * cx + x) * 3];
            p[0] = GetRValue(clr);
            p[1] = GetGValue(clr);
            p[2] = GetBValue(clr);
        }
    }
    std::string strPath = SnapshotFolder() + "\\" + pszName + ".png";
    FILE* pFile = fopen(strPath.c_str(), "wb");
    if (pFile == NULL)
        return false;
    bool bWritten = detail::WritePng(pFile, cx, cy, pixels);
    fclose(pFile);
    return bWritten;
}

// Saves the canvas as <name>.png in the program's snapshot folder; the path
// written, or an empty string when it could not be written.
inline std::string SaveSnapshot(const Canvas& canvas, const std::string& strName)
{
    if (!SaveSnapshot(canvas.Width(), canvas.Height(), [&](int x, int y) { return canvas.Pixel(x, y); },
                      strName.c_str()))
        return std::string();
    return SnapshotFolder() + "\\" + strName + ".png";
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

// Saves a window as it looks: a frame and caption drawn by the system's
// helpers, then the client area and the children as they paint themselves.
inline std::string SaveWindowSnapshot(HWND hWnd, const std::string& strName)
{
    RECT rc;
    ::GetWindowRect(hWnd, &rc);
    const int cx = rc.right - rc.left, cy = rc.bottom - rc.top;
    Canvas canvas(cx, cy, ::GetSysColor(COLOR_3DFACE));
    HDC hDC = canvas.Handle();
    RECT rcAll = {0, 0, cx, cy};
    POINT ptClient = {0, 0};
    ::ClientToScreen(hWnd, &ptClient);
    if (ptClient.x != rc.left || ptClient.y != rc.top)
        ::DrawEdge(hDC, &rcAll, EDGE_RAISED, BF_RECT);
    if ((::GetWindowLong(hWnd, GWL_STYLE) & WS_CAPTION) == WS_CAPTION)
    {
        const int nBorder = ptClient.x - rc.left;
        RECT rcCaption = {nBorder, nBorder, cx - nBorder, ptClient.y - rc.top - 1};
        ::DrawCaption(hWnd, hDC, &rcCaption, DC_ACTIVE | DC_TEXT | DC_GRADIENT);
    }
    const POINT ptOrigin = {ptClient.x - rc.left, ptClient.y - rc.top};
    PrintClientTree(hWnd, hDC, ptOrigin);
    ::GdiFlush();
    return SaveSnapshot(canvas, strName);
}
} // namespace testsupport

namespace testsupport
{
// Saves what the screen shows in a rectangle (screen coordinates) as it is,
// asking no window to paint: the program that owns the windows there may be
// held still. Empty on failure, else the path written.
inline std::string SaveScreenPart(RECT rc, const std::string& strName)
{
    // A maximised window's edges lie off the screen, and a copy that starts
    // off the screen comes back black: keep to the part that shows.
    const RECT rcScreen = {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    if (!::IntersectRect(&rc, &rc, &rcScreen))
        return std::string();
    Canvas canvas(rc.right - rc.left, rc.bottom - rc.top);
    HDC hScreen = ::GetDC(NULL);
    ::BitBlt(canvas.Handle(), 0, 0, rc.right - rc.left, rc.bottom - rc.top, hScreen, rc.left, rc.top, SRCCOPY);
    ::ReleaseDC(NULL, hScreen);
    ::GdiFlush();
    return SaveSnapshot(canvas, strName);
}
// Saves what the screen shows of a window (it must be visible and uncovered:
// tests that call this read the screen and run serially), for windows that
// paint only through WM_PAINT. Empty on failure, else the path written.
inline std::string SaveScreenSnapshot(HWND hWnd, const std::string& strName)
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
    if (!::GetWindowRect(hWnd, &rc))
        return std::string();
    return SaveScreenPart(rc, strName);
}

} // namespace testsupport
