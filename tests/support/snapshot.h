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

// Writes the pixels given by pixel(x, y) (COLORREF) as an RGB PNG; libpng
// reports errors by jumping back here, and only C code lies between.
template <class FPixel>
bool WritePng(FILE* pFile, int cx, int cy, FPixel pixel)
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
            COLORREF clr = pixel(x, y);
            row[x * 3] = GetRValue(clr);
            row[x * 3 + 1] = GetGValue(clr);
            row[x * 3 + 2] = GetBValue(clr);
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, NULL);
    png_destroy_write_struct(&png, &info);
    return true;
}
} // namespace detail

// Saves a cx x cy picture whose pixels pixel(x, y) gives (a COLORREF); false
// (with a message on stderr) when the file cannot be written.
template <class FPixel>
bool SaveSnapshot(int cx, int cy, FPixel pixel, const char* pszName)
{
    std::string strDir = detail::SnapshotFolder();
    if (strDir.empty())
        return false;
    std::string strPath = strDir + "\\" + pszName + ".png";
    FILE* pFile = fopen(strPath.c_str(), "wb");
    bool bOk = pFile != NULL && detail::WritePng(pFile, cx, cy, pixel);
    if (pFile != NULL)
        fclose(pFile);
    if (!bOk)
        fprintf(stderr, "cannot write %s\n", strPath.c_str());
    return bOk;
}
} // namespace testsupport
