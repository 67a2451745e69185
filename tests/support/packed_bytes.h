// Stored control data as the command bars keep it packed: unpacking it to
// edit its bytes, and packing edited bytes again.
#pragma once

#include <windows.h>
#include <stdlib.h>

#include <vector>

#include "XTPZipMemFile.h"

namespace testsupport
{
// The raw bytes of packed data.
inline std::vector<BYTE> Unpacked(const std::vector<BYTE>& packed)
{
    CXTPZipMemFile file(const_cast<BYTE*>(packed.data()), (UINT)packed.size());
    std::vector<BYTE> raw((size_t)file.GetLength());
    if (!raw.empty())
        file.Read(raw.data(), (UINT)raw.size());
    return raw;
}

// What a packed memory file holds, detached in its stored (packed) form.
inline std::vector<BYTE> DetachPacked(CXTPZipMemFile& file)
{
    BYTE* pData = NULL;
    DWORD dwSize = 0;
    file.DetachCompressed(pData, dwSize);
    std::vector<BYTE> packed(pData, pData + dwSize);
    free(pData);
    return packed;
}

// Raw bytes packed as the command bars store them.
inline std::vector<BYTE> Packed(const std::vector<BYTE>& raw)
{
    CXTPZipMemFile file;
    if (!raw.empty())
        file.Write(raw.data(), (UINT)raw.size());
    return DetachPacked(file);
}
} // namespace testsupport
