// Saving what a test drew as a PNG file under build/snapshots/<test program>/,
// so that a person can look at it.
#pragma once

#include <windows.h>
#include <png.h>

#include <string>
#include <vector>

namespace testsupport
{
// build/snapshots/<program name>/, created when missing: the build folder is
// the first folder above the program that holds CMakeCache.txt.
inline std::string SnapshotFolder()
{
    char szPath[MAX_PATH] = {0};
    ::GetModuleFileNameA(NULL, szPath, MAX_PATH);
    std::string strExe = szPath;
    size_t nSlash = strExe.find_last_of("\\/");
    std::string strName = strExe.substr(nSlash + 1);
    size_t nDot = strName.rfind('.');
    if (nDot != std::string::npos)
        strName = strName.substr(0, nDot);

    std::string strDir = strExe.substr(0, nSlash);
    while (!strDir.empty())
    {
        if (::GetFileAttributesA((strDir + "\\CMakeCache.txt").c_str()) != INVALID_FILE_ATTRIBUTES)
            break;
        size_t n = strDir.find_last_of("\\/");
        if (n == std::string::npos)
        {
            strDir.clear();
            break;
        }
        strDir = strDir.substr(0, n);
    }
    if (strDir.empty())
        strDir = ".";
    std::string strFolder = strDir + "\\snapshots";
    ::CreateDirectoryA(strFolder.c_str(), NULL);
    strFolder += "\\" + strName;
    ::CreateDirectoryA(strFolder.c_str(), NULL);
    return strFolder;
}

// Writes the bitmap (any DDB or DIB section) as <folder>\<name>.png; true when written.
inline bool SaveSnapshot(HBITMAP hBitmap, const char* pszName)
{
    BITMAP bm = {};
    if (hBitmap == NULL || !::GetObjectA(hBitmap, sizeof(bm), &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0)
        return false;
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = bm.bmWidth;
    bmi.bmiHeader.biHeight = -bm.bmHeight;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    std::vector<BYTE> bgra((size_t)bm.bmWidth * bm.bmHeight * 4);
    HDC hDC = ::GetDC(NULL);
    int nLines = ::GetDIBits(hDC, hBitmap, 0, (UINT)bm.bmHeight, bgra.data(), &bmi, DIB_RGB_COLORS);
    ::ReleaseDC(NULL, hDC);
    if (nLines != bm.bmHeight)
        return false;
    for (size_t i = 0; i < bgra.size(); i += 4)
        bgra[i + 3] = 0xFF;

    png_image image = {};
    image.version = PNG_IMAGE_VERSION;
    image.width = (png_uint_32)bm.bmWidth;
    image.height = (png_uint_32)bm.bmHeight;
    image.format = PNG_FORMAT_BGRA;
    std::string strPath = SnapshotFolder() + "\\" + pszName + ".png";
    return png_image_write_to_file(&image, strPath.c_str(), 0, bgra.data(), 0, NULL) != 0;
}

// Paints the window (WM_PRINT with its client and children) into a bitmap and saves it.
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
    ::SelectObject(hDC, hOld);
    bool bSaved = SaveSnapshot(hBitmap, pszName);
    ::DeleteObject(hBitmap);
    ::DeleteDC(hDC);
    return bSaved;
}
} // namespace testsupport
