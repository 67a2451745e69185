// An application object whose profile lives in a test key of its own:
// HKEY_CURRENT_USER\Software\<key>\Brindlemark, cleared before and after.
#pragma once

#include <afxwin.h>
#include <shlwapi.h>

#include <string>
#include <vector>

namespace testsupport
{
class ProfileApp : public CWinApp
{
public:
    explicit ProfileApp(LPCTSTR lpszKey) : CWinApp("Brindlemark"), m_strKey(lpszKey)
    {
        DeleteKey();
        SetRegistryKey(lpszKey);
    }
    ~ProfileApp() override { DeleteKey(); }

    void DeleteKey() { ::SHDeleteKeyA(HKEY_CURRENT_USER, ("Software\\" + m_strKey).c_str()); }

    // The raw value Section\Name of the application's key; FALSE when missing.
    bool Query(LPCTSTR lpszSection, LPCTSTR lpszName, DWORD& dwType, std::vector<BYTE>& data) const
    {
        std::string strPath = "Software\\" + m_strKey + "\\Brindlemark\\" + lpszSection;
        HKEY hKey = NULL;
        if (::RegOpenKeyExA(HKEY_CURRENT_USER, strPath.c_str(), 0, KEY_READ, &hKey) != ERROR_SUCCESS)
            return false;
        DWORD dwSize = 0;
        LONG l = ::RegQueryValueExA(hKey, lpszName, NULL, &dwType, NULL, &dwSize);
        if (l == ERROR_SUCCESS)
        {
            data.resize(dwSize);
            l = ::RegQueryValueExA(hKey, lpszName, NULL, &dwType, data.empty() ? NULL : data.data(), &dwSize);
        }
        ::RegCloseKey(hKey);
        return l == ERROR_SUCCESS;
    }
    bool Exists(LPCTSTR lpszSection, LPCTSTR lpszName) const
    {
        DWORD dwType = 0;
        std::vector<BYTE> data;
        return Query(lpszSection, lpszName, dwType, data);
    }
    DWORD QueryDword(LPCTSTR lpszSection, LPCTSTR lpszName, DWORD dwMissing = 0xDEADBEEF) const
    {
        DWORD dwType = 0;
        std::vector<BYTE> data;
        if (!Query(lpszSection, lpszName, dwType, data) || dwType != REG_DWORD || data.size() != 4)
            return dwMissing;
        return *(const DWORD*)data.data();
    }
    void SetRaw(LPCTSTR lpszSection, LPCTSTR lpszName, DWORD dwType, const void* pData, DWORD dwSize)
    {
        std::string strPath = "Software\\" + m_strKey + "\\Brindlemark\\" + lpszSection;
        HKEY hKey = NULL;
        ::RegCreateKeyExA(HKEY_CURRENT_USER, strPath.c_str(), 0, NULL, 0, KEY_ALL_ACCESS, NULL, &hKey, NULL);
        ::RegSetValueExA(hKey, lpszName, 0, dwType, (const BYTE*)pData, dwSize);
        ::RegCloseKey(hKey);
    }

private:
    std::string m_strKey;
};

// While it lives, the application's profile is the given INI file instead of
// its registry key.
class IniProfile
{
public:
    explicit IniProfile(const std::string& strPath)
        : m_pApp(AfxGetApp()), m_strPath(strPath), m_pszOldKey(m_pApp->m_pszRegistryKey),
          m_pszOldProfile(m_pApp->m_pszProfileName)
    {
        m_pApp->m_pszRegistryKey = NULL;
        m_pApp->m_pszProfileName = m_strPath.c_str();
    }
    ~IniProfile()
    {
        m_pApp->m_pszRegistryKey = m_pszOldKey;
        m_pApp->m_pszProfileName = m_pszOldProfile;
    }

private:
    CWinApp* m_pApp;
    std::string m_strPath;
    LPCTSTR m_pszOldKey;
    LPCTSTR m_pszOldProfile;
};

// While it lives, the running application keeps its profile under
// HKEY_CURRENT_USER\Software\<key>\<profile>, a test key of its own that is
// cleared before and after.
class RegistryProfile
{
public:
    RegistryProfile(const std::string& strKey, const std::string& strProfile)
        : m_pApp(AfxGetApp()), m_strKey(strKey), m_strProfile(strProfile),
          m_pszOldKey(m_pApp->m_pszRegistryKey), m_pszOldProfile(m_pApp->m_pszProfileName)
    {
        DeleteKey();
        m_pApp->m_pszRegistryKey = m_strKey.c_str();
        m_pApp->m_pszProfileName = m_strProfile.c_str();
    }
    ~RegistryProfile()
    {
        m_pApp->m_pszRegistryKey = m_pszOldKey;
        m_pApp->m_pszProfileName = m_pszOldProfile;
        DeleteKey();
    }
    void DeleteKey() { ::SHDeleteKeyA(HKEY_CURRENT_USER, ("Software\\" + m_strKey).c_str()); }
    // Whether Section exists in the profile.
    bool HasSection(LPCTSTR lpszSection) const
    {
        std::string strPath = "Software\\" + m_strKey + "\\" + m_strProfile + "\\" + lpszSection;
        HKEY hKey = NULL;
        if (::RegOpenKeyExA(HKEY_CURRENT_USER, strPath.c_str(), 0, KEY_READ, &hKey) != ERROR_SUCCESS)
            return false;
        ::RegCloseKey(hKey);
        return true;
    }

private:
    CWinApp* m_pApp;
    std::string m_strKey;
    std::string m_strProfile;
    LPCTSTR m_pszOldKey;
    LPCTSTR m_pszOldProfile;
};

// A binary profile value of the application (registry or INI); empty when
// it is missing.
inline std::vector<BYTE> ProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry)
{
    LPBYTE pData = NULL;
    UINT nBytes = 0;
    std::vector<BYTE> data;
    if (AfxGetApp()->GetProfileBinary(lpszSection, lpszEntry, &pData, &nBytes))
        data.assign(pData, pData + nBytes);
    delete[] pData;
    return data;
}

inline void WriteProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, const std::vector<BYTE>& data)
{
    AfxGetApp()->WriteProfileBinary(lpszSection, lpszEntry, const_cast<BYTE*>(data.data()), (UINT)data.size());
}
} // namespace testsupport
