// A private temporary folder for tests that write files, and whole-file
// reads and writes.
#pragma once

#include <windows.h>

#include <sstream>
#include <string>

namespace testsupport
{
// A fresh empty folder below the temporary folder, removed with its files
// when the object goes.
class CTempFolder
{
public:
    CTempFolder();
    ~CTempFolder();
    // Full path of a file in the folder.
    std::string Path(const char* pszName) const;
    const std::string& Folder() const { return m_strFolder; }
    // Names of the files now in the folder.
    int CountFiles() const;

private:
    std::string m_strFolder;
};

// Whole file as bytes; empty when it cannot be read.
std::string ReadFileBytes(const std::string& strPath);
void WriteFileBytes(const std::string& strPath, const std::string& strBytes);

inline CTempFolder::CTempFolder()
{
    char szTemp[MAX_PATH];
    GetTempPathA(MAX_PATH, szTemp);
    static int s_nSerial = 0;
    for (;;)
    {
        std::ostringstream name;
        name << szTemp << "bmtest_" << GetCurrentProcessId() << "_" << ++s_nSerial;
        if (CreateDirectoryA(name.str().c_str(), NULL))
        {
            m_strFolder = name.str();
            break;
        }
    }
}

inline CTempFolder::~CTempFolder()
{
    WIN32_FIND_DATAA data;
    HANDLE hFind = FindFirstFileA((m_strFolder + "\\*").c_str(), &data);
    if (hFind != INVALID_HANDLE_VALUE)
    {
        do
        {
            if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            {
                std::string strFile = m_strFolder + "\\" + data.cFileName;
                SetFileAttributesA(strFile.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(strFile.c_str());
            }
        } while (FindNextFileA(hFind, &data));
        FindClose(hFind);
    }
    RemoveDirectoryA(m_strFolder.c_str());
}

inline std::string CTempFolder::Path(const char* pszName) const
{
    return m_strFolder + "\\" + pszName;
}

inline int CTempFolder::CountFiles() const
{
    int nCount = 0;
    WIN32_FIND_DATAA data;
    HANDLE hFind = FindFirstFileA((m_strFolder + "\\*").c_str(), &data);
    if (hFind != INVALID_HANDLE_VALUE)
    {
        do
        {
            if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                nCount++;
        } while (FindNextFileA(hFind, &data));
        FindClose(hFind);
    }
    return nCount;
}

inline std::string ReadFileBytes(const std::string& strPath)
{
    std::string strBytes;
    HANDLE hFile = CreateFileA(strPath.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return strBytes;
    char buffer[4096];
    DWORD dwRead = 0;
    while (ReadFile(hFile, buffer, sizeof(buffer), &dwRead, NULL) && dwRead > 0)
        strBytes.append(buffer, dwRead);
    CloseHandle(hFile);
    return strBytes;
}

inline void WriteFileBytes(const std::string& strPath, const std::string& strBytes)
{
    HANDLE hFile = CreateFileA(strPath.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return;
    DWORD dwWritten = 0;
    if (!strBytes.empty())
        WriteFile(hFile, strBytes.data(), (DWORD)strBytes.size(), &dwWritten, NULL);
    CloseHandle(hFile);
}
} // namespace testsupport
