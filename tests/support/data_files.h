// The files kept for tests in tests/data: pictures and stored states that
// showed faults, read whole by name.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace testsupport
{
// Full path of a file in tests/data.
inline std::string DataFilePath(const char* pszName)
{
#ifdef BM_TEST_DATA_DIR
    std::string strPath = BM_TEST_DATA_DIR;
#else
    std::string strPath = ".";
#endif
    return strPath + "/" + pszName;
}

// The bytes of a file in tests/data; empty when it cannot be read.
inline std::vector<BYTE> ReadDataFile(const char* pszName)
{
    std::vector<BYTE> data;
    HANDLE hFile = ::CreateFileA(DataFilePath(pszName).c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return data;
    const DWORD nSize = ::GetFileSize(hFile, NULL);
    if (nSize != INVALID_FILE_SIZE && nSize < 64u * 1024u * 1024u)
    {
        data.resize(nSize);
        DWORD nRead = 0;
        if (nSize != 0 && (!::ReadFile(hFile, data.data(), nSize, &nRead, NULL) || nRead != nSize))
            data.clear();
    }
    ::CloseHandle(hFile);
    return data;
}
} // namespace testsupport
