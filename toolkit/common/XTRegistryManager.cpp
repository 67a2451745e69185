// Registry manager: profile values below a root key, or in an INI file.
#include "XTRegistryManager.h"

#include <afxwin.h>

#include <string.h>

namespace
{
// Process-wide names. Plain character arrays: they need no destructor, so a
// settings object destroyed at exit can still use them.
const int kMaxKeyName = 256;
char s_szRegistryKey[kMaxKeyName];
char s_szProfileName[kMaxKeyName];
BOOL s_bNamesKnown = FALSE;

// Largest text the INI reader returns (4095 characters and the zero).
const DWORD kINIBufferSize = 4096;

BOOL StoreNames(LPCTSTR lpszRegistryKey, LPCTSTR lpszProfileName)
{
    if (lpszRegistryKey == NULL || lpszProfileName == NULL || *lpszRegistryKey == '\0' ||
        *lpszProfileName == '\0')
        return FALSE;
    if (strlen(lpszRegistryKey) >= (size_t)kMaxKeyName || strlen(lpszProfileName) >= (size_t)kMaxKeyName)
        return FALSE;
    strcpy(s_szRegistryKey, lpszRegistryKey);
    strcpy(s_szProfileName, lpszProfileName);
    s_bNamesKnown = TRUE;
    return TRUE;
}

void CloseKey(HKEY hKey)
{
    if (hKey != NULL)
        ::RegCloseKey(hKey);
}
} // namespace

CXTRegistryManager::CXTRegistryManager(HKEY hKeyBase)
    : m_hKeyBase(hKeyBase), m_pszRegistryKey(NULL), m_pszProfileName(NULL), m_lResult(ERROR_SUCCESS),
      m_hHeldSectionKey(NULL), m_samHeld(0)
{
}

CXTRegistryManager::~CXTRegistryManager()
{
    ReleaseHeldSectionKey();
}

HKEY CXTRegistryManager::GetHeldSectionKey(LPCTSTR lpszSection, REGSAM samDesired)
{
    if (m_hHeldSectionKey != NULL && m_samHeld == samDesired && m_strHeldSection == lpszSection)
        return m_hHeldSectionKey;
    ReleaseHeldSectionKey();
    HKEY hKey = GetSectionKey(lpszSection, samDesired);
    if (hKey != NULL)
    {
        m_hHeldSectionKey = hKey;
        m_strHeldSection = lpszSection;
        m_samHeld = samDesired;
    }
    return hKey;
}

void CXTRegistryManager::ReleaseHeldSectionKey()
{
    CloseKey(m_hHeldSectionKey);
    m_hHeldSectionKey = NULL;
    m_strHeldSection.Empty();
    m_samHeld = 0;
}

CString* AFXAPI CXTRegistryManager::GetINIFileNamePtr()
{
    // Made on first use and never destroyed.
    static CString* s_pINIFileName = new CString;
    return s_pINIFileName;
}

void AFXAPI CXTRegistryManager::SetINIFileName(LPCTSTR lpszINIFileName)
{
    *GetINIFileNamePtr() = lpszINIFileName != NULL ? lpszINIFileName : "";
}

CString AFXAPI CXTRegistryManager::GetINIFileName()
{
    return *GetINIFileNamePtr();
}

void AFXAPI CXTRegistryManager::SetProfileNames(LPCTSTR lpszRegistryKey, LPCTSTR lpszProfileName)
{
    if (!StoreNames(lpszRegistryKey, lpszProfileName))
    {
        s_bNamesKnown = FALSE;
        s_szRegistryKey[0] = '\0';
        s_szProfileName[0] = '\0';
    }
}

BOOL CXTRegistryManager::IsINIMode() const
{
    return !GetINIFileNamePtr()->IsEmpty();
}

BOOL CXTRegistryManager::GetProfileNames()
{
    if (m_pszRegistryKey == NULL || m_pszProfileName == NULL)
    {
        m_pszRegistryKey = NULL;
        m_pszProfileName = NULL;
        if (!s_bNamesKnown)
        {
            // Fetch the names once, from the live application object.
            CWinApp* pApp = AfxGetApp();
            if (pApp != NULL)
                StoreNames(pApp->m_pszRegistryKey, pApp->m_pszProfileName);
        }
        if (s_bNamesKnown)
        {
            m_pszRegistryKey = s_szRegistryKey;
            m_pszProfileName = s_szProfileName;
        }
    }
    return m_pszRegistryKey != NULL && m_pszProfileName != NULL;
}

HKEY CXTRegistryManager::GetAppRegistryKey(REGSAM samDesired)
{
    if (!GetProfileNames())
        return NULL;

    HKEY hSoftKey = NULL;
    HKEY hCompanyKey = NULL;
    HKEY hAppKey = NULL;
    DWORD dwDisposition = 0;

    m_lResult = ::RegOpenKeyExA(m_hKeyBase, "Software", 0, samDesired, &hSoftKey);
    if (m_lResult == ERROR_SUCCESS)
    {
        m_lResult = ::RegCreateKeyExA(hSoftKey, m_pszRegistryKey, 0, NULL, 0, samDesired, NULL,
                                      &hCompanyKey, &dwDisposition);
        if (m_lResult == ERROR_SUCCESS)
        {
            m_lResult = ::RegCreateKeyExA(hCompanyKey, m_pszProfileName, 0, NULL, 0, samDesired, NULL,
                                          &hAppKey, &dwDisposition);
            if (m_lResult != ERROR_SUCCESS)
                hAppKey = NULL;
        }
        else
        {
            hCompanyKey = NULL;
        }
    }
    else
    {
        hSoftKey = NULL;
    }
    CloseKey(hCompanyKey);
    CloseKey(hSoftKey);
    return hAppKey;
}

HKEY CXTRegistryManager::GetSectionKey(LPCTSTR lpszSection, REGSAM samDesired)
{
    if (lpszSection == NULL)
        return NULL;
    HKEY hAppKey = GetAppRegistryKey(samDesired);
    if (hAppKey == NULL)
        return NULL;

    HKEY hSectionKey = NULL;
    DWORD dwDisposition = 0;
    m_lResult = ::RegCreateKeyExA(hAppKey, lpszSection, 0, NULL, 0, samDesired, NULL, &hSectionKey,
                                  &dwDisposition);
    if (m_lResult != ERROR_SUCCESS)
        hSectionKey = NULL;
    CloseKey(hAppKey);
    return hSectionKey;
}

BOOL CXTRegistryManager::WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue)
{
    if (lpszSection == NULL || lpszEntry == NULL)
        return FALSE;

    if (IsINIMode())
    {
        char szText[16];
        wsprintfA(szText, "%d", nValue);
        return ::WritePrivateProfileStringA(lpszSection, lpszEntry, szText, *GetINIFileNamePtr());
    }

    DWORD dwValue = (DWORD)nValue;
    for (int nTry = 0; nTry < 2; nTry++)
    {
        HKEY hSecKey = GetHeldSectionKey(lpszSection, KEY_READ | KEY_WRITE);
        if (hSecKey == NULL)
            return FALSE;
        m_lResult = ::RegSetValueExA(hSecKey, lpszEntry, 0, REG_DWORD, (const BYTE*)&dwValue, sizeof(dwValue));
        if (!IsKeyGone(m_lResult))
            break;
        ReleaseHeldSectionKey();
    }
    return m_lResult == ERROR_SUCCESS;
}

BOOL CXTRegistryManager::WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue)
{
    if (lpszSection == NULL)
        return FALSE;

    if (IsINIMode())
        return AfxWriteIniString(lpszSection, lpszEntry, lpszValue, *GetINIFileNamePtr());

    if (lpszEntry == NULL)
    {
        // Delete the whole section.
        ReleaseHeldSectionKey();
        HKEY hAppKey = GetAppRegistryKey(0);
        if (hAppKey == NULL)
            return FALSE;
        m_lResult = ::RegDeleteKeyA(hAppKey, lpszSection);
        CloseKey(hAppKey);
        return m_lResult == ERROR_SUCCESS;
    }

    for (int nTry = 0; nTry < 2; nTry++)
    {
        HKEY hSecKey = GetHeldSectionKey(lpszSection, KEY_READ | KEY_WRITE);
        if (hSecKey == NULL)
            return FALSE;
        if (lpszValue == NULL)
        {
            m_lResult = ::RegDeleteValueA(hSecKey, lpszEntry);
        }
        else
        {
            m_lResult = ::RegSetValueExA(hSecKey, lpszEntry, 0, REG_SZ, (const BYTE*)lpszValue,
                                         (DWORD)(strlen(lpszValue) + 1));
        }
        if (!IsKeyGone(m_lResult))
            break;
        ReleaseHeldSectionKey();
    }
    return m_lResult == ERROR_SUCCESS;
}

UINT CXTRegistryManager::GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault)
{
    if (lpszSection == NULL || lpszEntry == NULL)
        return (UINT)nDefault;

    if (IsINIMode())
        return ::GetPrivateProfileIntA(lpszSection, lpszEntry, nDefault, *GetINIFileNamePtr());

    // Only a 4-byte DWORD value counts; a value of another type or size (a
    // hand-edited string or a short binary) reads as missing.
    DWORD dwValue = 0;
    DWORD dwType = REG_NONE;
    DWORD dwCount = sizeof(dwValue);
    for (int nTry = 0; nTry < 2; nTry++)
    {
        HKEY hSecKey = GetHeldSectionKey(lpszSection, KEY_READ);
        if (hSecKey == NULL)
            return (UINT)nDefault;
        dwValue = 0;
        dwType = REG_NONE;
        dwCount = sizeof(dwValue);
        m_lResult = ::RegQueryValueExA(hSecKey, lpszEntry, NULL, &dwType, (LPBYTE)&dwValue, &dwCount);
        if (!IsKeyGone(m_lResult))
            break;
        ReleaseHeldSectionKey();
    }
    if (m_lResult != ERROR_SUCCESS || dwType != REG_DWORD || dwCount != sizeof(dwValue))
        return (UINT)nDefault;
    return (UINT)dwValue;
}

CString CXTRegistryManager::GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault)
{
    CString strDefault(lpszDefault != NULL ? lpszDefault : "");
    if (lpszSection == NULL || lpszEntry == NULL)
        return strDefault;

    if (IsINIMode())
    {
        CString strValue;
        LPSTR pBuffer = strValue.GetBuffer(kINIBufferSize);
        ::GetPrivateProfileStringA(lpszSection, lpszEntry, strDefault, pBuffer, kINIBufferSize,
                                   *GetINIFileNamePtr());
        pBuffer[kINIBufferSize - 1] = '\0';
        strValue.ReleaseBuffer();
        return strValue;
    }

    HKEY hSecKey = GetHeldSectionKey(lpszSection, KEY_READ);
    if (hSecKey == NULL)
        return strDefault;

    CString strValue;
    BOOL bOk = FALSE;
    DWORD dwType = REG_NONE;
    DWORD dwCount = 0;
    m_lResult = ::RegQueryValueExA(hSecKey, lpszEntry, NULL, &dwType, NULL, &dwCount);
    if (IsKeyGone(m_lResult))
    {
        ReleaseHeldSectionKey();
        hSecKey = GetHeldSectionKey(lpszSection, KEY_READ);
        if (hSecKey == NULL)
            return strDefault;
        m_lResult = ::RegQueryValueExA(hSecKey, lpszEntry, NULL, &dwType, NULL, &dwCount);
    }
    if (m_lResult == ERROR_SUCCESS && (dwType == REG_SZ || dwType == REG_EXPAND_SZ))
    {
        try
        {
            // One character more than the value, so that a value stored
            // without its terminating zero still ends in one.
            LPSTR pBuffer = strValue.GetBuffer((int)dwCount + 1);
            DWORD dwRead = dwCount;
            m_lResult = ::RegQueryValueExA(hSecKey, lpszEntry, NULL, &dwType, (LPBYTE)pBuffer, &dwRead);
            if (m_lResult == ERROR_SUCCESS && dwRead <= dwCount)
            {
                pBuffer[dwRead] = '\0';
                bOk = TRUE;
            }
            else
            {
                pBuffer[0] = '\0';
            }
            strValue.ReleaseBuffer(); // up to the first zero
        }
        catch (CException* e)
        {
            e->Delete();
            bOk = FALSE;
        }
    }
    return bOk ? strValue : strDefault;
}
