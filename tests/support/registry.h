// The game's registry key in tests: clearing it and forging or reading the
// values below HKLM\Software\Orrisfield\Brindlemark.
#pragma once

#include <afx.h>
#include <shlwapi.h>

#include "XTRegistryManager.h"

#include <string>
#include <vector>

namespace testsupport
{
inline const char* GameKey()
{
    return "Software\\Orrisfield\\Brindlemark";
}

// Removes the game's key with everything below it and points the registry
// manager at that key (no application object runs in the tests). Also
// clears the INI path.
inline void ClearGameRegistry()
{
    ::SHDeleteKeyA(HKEY_LOCAL_MACHINE, GameKey());
    CXTRegistryManager::SetINIFileName(NULL);
    CXTRegistryManager::SetProfileNames("Orrisfield", "Brindlemark");
}

// The section's key below the game's key (under HKLM unless another root is
// given): opened for reading, or created.
inline HKEY OpenGameSection(const char* pszSection, bool bCreate, HKEY hRoot = HKEY_LOCAL_MACHINE)
{
    std::string strKey = std::string(GameKey()) + "\\" + pszSection;
    HKEY hKey = NULL;
    LONG lResult = bCreate ? ::RegCreateKeyExA(hRoot, strKey.c_str(), 0, NULL, 0, KEY_READ | KEY_WRITE, NULL, &hKey,
                                               NULL)
                           : ::RegOpenKeyExA(hRoot, strKey.c_str(), 0, KEY_READ, &hKey);
    return lResult == ERROR_SUCCESS ? hKey : NULL;
}

// TRUE when HKLM\Software\Orrisfield\Brindlemark\<section> holds the value.
inline bool RegistryValueExists(const char* pszSection, const char* pszEntry)
{
    HKEY hKey = OpenGameSection(pszSection, false);
    if (hKey == NULL)
        return false;
    LONG lResult = ::RegQueryValueExA(hKey, pszEntry, NULL, NULL, NULL, NULL);
    ::RegCloseKey(hKey);
    return lResult == ERROR_SUCCESS;
}

// Raw registry access below the game's key, for forging stored values;
// whether the value was written.
inline bool WriteRegistryValue(const char* pszSection, const char* pszEntry, DWORD dwType, const void* pData,
                               DWORD cbData, HKEY hRoot = HKEY_LOCAL_MACHINE)
{
    HKEY hKey = OpenGameSection(pszSection, true, hRoot);
    ASSERT(hKey != NULL);
    if (hKey == NULL)
        return false;
    LONG lResult = ::RegSetValueExA(hKey, pszEntry, 0, dwType, static_cast<const BYTE*>(pData), cbData);
    ::RegCloseKey(hKey);
    return lResult == ERROR_SUCCESS;
}

inline void WriteRegistryDword(const char* pszSection, const char* pszEntry, DWORD dwValue)
{
    WriteRegistryValue(pszSection, pszEntry, REG_DWORD, &dwValue, sizeof(dwValue));
}

inline void WriteRegistryString(const char* pszSection, const char* pszEntry, const char* pszValue)
{
    WriteRegistryValue(pszSection, pszEntry, REG_SZ, pszValue, (DWORD)strlen(pszValue) + 1);
}

inline void WriteRegistryBinary(const char* pszSection, const char* pszEntry, const void* pData, DWORD cbData)
{
    WriteRegistryValue(pszSection, pszEntry, REG_BINARY, pData, cbData);
}

inline bool ReadRegistryDword(const char* pszSection, const char* pszEntry, DWORD& dwValue)
{
    HKEY hKey = OpenGameSection(pszSection, false);
    if (hKey == NULL)
        return false;
    DWORD dwType = 0;
    DWORD cbData = sizeof(dwValue);
    LONG lResult = ::RegQueryValueExA(hKey, pszEntry, NULL, &dwType, (BYTE*)&dwValue, &cbData);
    ::RegCloseKey(hKey);
    return lResult == ERROR_SUCCESS && dwType == REG_DWORD;
}
// The player's own settings (the class library's profile, below
// HKCU\Software\Orrisfield\Brindlemark): removing them, and reading an
// integer of a section (-1 when it is missing).
inline void ClearUserSettings()
{
    ::SHDeleteKeyA(HKEY_CURRENT_USER, GameKey());
}

inline int UserProfileInt(const char* pszSection, const char* pszEntry)
{
    HKEY hKey;
    std::string strKey = std::string(GameKey()) + "\\" + pszSection;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, strKey.c_str(), 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return -1;
    DWORD dwValue = 0, dwSize = sizeof(dwValue), dwType = 0;
    LONG lResult = ::RegQueryValueExA(hKey, pszEntry, NULL, &dwType, (BYTE*)&dwValue, &dwSize);
    ::RegCloseKey(hKey);
    return lResult == ERROR_SUCCESS && dwType == REG_DWORD ? (int)dwValue : -1;
}
// A string of a section of the player's settings; empty when it is missing.
inline std::string UserProfileString(const char* pszSection, const char* pszEntry)
{
    HKEY hKey;
    std::string strKey = std::string(GameKey()) + "\\" + pszSection;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, strKey.c_str(), 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return std::string();
    char szValue[1024] = {};
    DWORD dwSize = sizeof(szValue) - 1, dwType = 0;
    LONG lResult = ::RegQueryValueExA(hKey, pszEntry, NULL, &dwType, (BYTE*)szValue, &dwSize);
    ::RegCloseKey(hKey);
    return lResult == ERROR_SUCCESS && dwType == REG_SZ ? std::string(szValue) : std::string();
}
// Imports a registry export (a .reg file, named by its Windows path) with
// the system's registry editor, as a player's stored state is brought in;
// waits at most 30 s for it. TRUE when the editor ran and ended well.
inline bool ImportRegFile(const std::string& strPath)
{
    std::string strCommand = "regedit.exe /S \"" + strPath + "\"";
    std::vector<char> command(strCommand.begin(), strCommand.end());
    command.push_back(0);
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    if (!::CreateProcessA(NULL, command.data(), NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi))
        return false;
    DWORD dwExit = 1;
    bool bEnded = ::WaitForSingleObject(pi.hProcess, 30000) == WAIT_OBJECT_0;
    if (!bEnded)
        ::TerminateProcess(pi.hProcess, 1);
    else
        ::GetExitCodeProcess(pi.hProcess, &dwExit);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    return bEnded && dwExit == 0;
}

// A key of its own below HKCU\Software\BrindlemarkTests for one test: any
// leftover of that name is removed and the key created when the object is
// made; it is closed and removed (and the parent, once empty) when the
// object goes, also when a failed assertion ends the test early.
class ScopedTestKey
{
public:
    explicit ScopedTestKey(const char* pszName) : m_strKey(std::string(Root()) + "\\" + pszName)
    {
        ::SHDeleteKeyA(HKEY_CURRENT_USER, m_strKey.c_str());
        m_lResult = ::RegCreateKeyExA(HKEY_CURRENT_USER, m_strKey.c_str(), 0, NULL, 0, KEY_ALL_ACCESS, NULL,
                                      &m_hKey, NULL);
        if (m_lResult != ERROR_SUCCESS)
            m_hKey = NULL;
    }
    ~ScopedTestKey()
    {
        if (m_hKey != NULL)
            ::RegCloseKey(m_hKey);
        ::SHDeleteKeyA(HKEY_CURRENT_USER, m_strKey.c_str());
        ::RegDeleteKeyA(HKEY_CURRENT_USER, Root());   // fails while other tests' keys are below it
    }
    ScopedTestKey(const ScopedTestKey&) = delete;
    ScopedTestKey& operator=(const ScopedTestKey&) = delete;

    // What creating the key answered (ERROR_SUCCESS when Handle is open).
    LONG Result() const { return m_lResult; }
    HKEY Handle() const { return m_hKey; }

    static const char* Root() { return "Software\\BrindlemarkTests"; }

private:
    std::string m_strKey;
    HKEY m_hKey = NULL;
    LONG m_lResult = ERROR_INVALID_HANDLE;
};
} // namespace testsupport
