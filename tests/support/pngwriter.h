// PNG files made by tests with libpng's writer.
#pragma once

#include <windows.h>
#include <png.h>
#include <setjmp.h>

#include <vector>

namespace testsupport
{
inline void PNGCBAPI WriteToVector(png_structp png_ptr, png_bytep data, size_t length)
{
    std::vector<BYTE>* pOut = (std::vector<BYTE>*)png_get_io_ptr(png_ptr);
    pOut->insert(pOut->end(), data, data + length);
}

inline void PNGCBAPI FlushNothing(png_structp)
{
}

struct CPngSpec
{
    int width = 2, height = 2, bitDepth = 8, colorType = PNG_COLOR_TYPE_RGB;
    int interlace = PNG_INTERLACE_NONE;
    std::vector<png_color> palette;
    std::vector<BYTE> trans;  // palette alpha
    bool bBackground = false;
    png_color_16 background = {};
};

// Encodes rows (each already in the PNG's own sample layout).
inline std::vector<BYTE> EncodePng(const CPngSpec& spec, const std::vector<std::vector<BYTE>>& rows)
{
    std::vector<BYTE> out;
    png_structp png_ptr = png_create_write_struct(PNG_LIBPNG_VER_STRING, NULL, NULL, NULL);
    png_infop info_ptr = png_create_info_struct(png_ptr);
    if (setjmp(png_jmpbuf(png_ptr)))
    {
        png_destroy_write_struct(&png_ptr, &info_ptr);
        return std::vector<BYTE>();
    }
    png_set_write_fn(png_ptr, &out, WriteToVector, FlushNothing);
    png_set_IHDR(png_ptr, info_ptr, spec.width, spec.height, spec.bitDepth, spec.colorType, spec.interlace,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (!spec.palette.empty())
        png_set_PLTE(png_ptr, info_ptr, spec.palette.data(), (int)spec.palette.size());
    if (!spec.trans.empty())
        png_set_tRNS(png_ptr, info_ptr, spec.trans.data(), (int)spec.trans.size(), NULL);
    if (spec.bBackground)
        png_set_bKGD(png_ptr, info_ptr, &spec.background);
    png_write_info(png_ptr, info_ptr);
    if (spec.bitDepth == 16)
        png_set_swap(png_ptr);  // rows hold little-endian 16-bit samples
    int nPasses = png_set_interlace_handling(png_ptr);
    for (int pass = 0; pass < nPasses; pass++)
        for (const std::vector<BYTE>& row : rows)
            png_write_row(png_ptr, row.data());
    png_write_end(png_ptr, NULL);
    png_destroy_write_struct(&png_ptr, &info_ptr);
    return out;
}
} // namespace testsupport
