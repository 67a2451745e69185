// CWinApp profile: settings under HKCU\Software\<key>\<profile> once
// SetRegistryKey was called, else in the program's INI file.
#include "wndimpl.h"

void CWinApp::SetRegistryKey(LPCTSTR lpszRegistryKey)
{
    if (lpszRegistryKey == NULL || *lpszRegistryKey == '\0')
        return;
    free((void*)m_pszRegistryKey);
    m_pszRegistryKey = _strdup(lpszRegistryKey);
    // The profile is now named after the application.
    free((void*)m_pszProfileName);
    m_pszProfileName = _strdup(m_pszAppName != NULL ? m_pszAppName : "");
}

void CWinApp::SetRegistryKey(UINT nIDRegistryKey)
{
    CString strKey;
    if (strKey.LoadString(nIDRegistryKey))
        SetRegistryKey(strKey);
}

// HKCU\Software\<key>\<profile>, opened or (bCreate) created; NULL on failure.
static HKEY AfxOpenAppKey(CWinApp* pApp, BOOL bCreate)
{
    if (pApp->m_pszRegistryKey == NULL || pApp->m_pszProfileName == NULL || *pApp->m_pszProfileName == '\0')
        return NULL;
    CString strPath = CString("Software\\") + pApp->m_pszRegistryKey + "\\" + pApp->m_pszProfileName;
    HKEY hKey = NULL;
    LONG lResult;
    if (bCreate)
    {
        DWORD dwDisp;
        lResult = ::RegCreateKeyEx(HKEY_CURRENT_USER, strPath, 0, NULL, REG_OPTION_NON_VOLATILE,
                                   KEY_READ | KEY_WRITE, NULL, &hKey, &dwDisp);
    }
    else
    {
        lResult = ::RegOpenKeyEx(HKEY_CURRENT_USER, strPath, 0, KEY_READ | KEY_WRITE, &hKey);
    }
    return lResult == ERROR_SUCCESS ? hKey : NULL;
}

static HKEY AfxOpenSectionKey(CWinApp* pApp, LPCTSTR lpszSection, BOOL bCreate)
{
    if (lpszSection == NULL || *lpszSection == '\0')
        return NULL;
    HKEY hAppKey = AfxOpenAppKey(pApp, bCreate);
    if (hAppKey == NULL)
        return NULL;
    HKEY hSecKey = NULL;
    LONG lResult;
    if (bCreate)
    {
        DWORD dwDisp;
        lResult = ::RegCreateKeyEx(hAppKey, lpszSection, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE,
                                   NULL, &hSecKey, &dwDisp);
    }
    else
    {
        lResult = ::RegOpenKeyEx(hAppKey, lpszSection, 0, KEY_READ | KEY_WRITE, &hSecKey);
    }
    ::RegCloseKey(hAppKey);
    return lResult == ERROR_SUCCESS ? hSecKey : NULL;
}

HKEY CWinApp::GetAppRegistryKey()
{
    return AfxOpenAppKey(this, TRUE);
}

HKEY CWinApp::GetSectionKey(LPCTSTR lpszSection)
{
    return AfxOpenSectionKey(this, lpszSection, TRUE);
}

LONG CWinApp::DelRegTree(HKEY hParentKey, const CString& strKeyName)
{
    // An empty name would mean the parent itself.
    if (hParentKey == NULL || strKeyName.IsEmpty())
        return ERROR_INVALID_PARAMETER;
    HKEY hKey = NULL;
    LONG lResult = ::RegOpenKeyEx(hParentKey, strKeyName, 0, KEY_READ | KEY_WRITE, &hKey);
    if (lResult != ERROR_SUCCESS)
        return lResult;

    // Sub-keys first (always the first one: the list shrinks).
    for (;;)
    {
        char szSubKey[256];
        DWORD dwLen = sizeof(szSubKey);
        FILETIME ft;
        lResult = ::RegEnumKeyEx(hKey, 0, szSubKey, &dwLen, NULL, NULL, NULL, &ft);
        if (lResult == ERROR_NO_MORE_ITEMS)
            break;
        if (lResult != ERROR_SUCCESS)
        {
            ::RegCloseKey(hKey);
            return lResult;
        }
        lResult = DelRegTree(hKey, CString(szSubKey));
        if (lResult != ERROR_SUCCESS)
        {
            ::RegCloseKey(hKey);
            return lResult;
        }
    }
    ::RegCloseKey(hKey);
    return ::RegDeleteKey(hParentKey, strKeyName);
}

UINT CWinApp::GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault)
{
    if (lpszSection == NULL || lpszEntry == NULL)
        return (UINT)nDefault;
    if (m_pszRegistryKey != NULL)
    {
        HKEY hSecKey = AfxOpenSectionKey(this, lpszSection, FALSE);
        if (hSecKey == NULL)
            return (UINT)nDefault;
        DWORD dwValue = 0;
        DWORD dwType = 0;
        DWORD dwCount = sizeof(DWORD);
        LONG lResult = ::RegQueryValueEx(hSecKey, lpszEntry, NULL, &dwType, (LPBYTE)&dwValue, &dwCount);
        ::RegCloseKey(hSecKey);
        // A missing value, or one of another type, gives the default.
        if (lResult == ERROR_SUCCESS && dwType == REG_DWORD && dwCount == sizeof(DWORD))
            return (UINT)dwValue;
        return (UINT)nDefault;
    }
    return ::GetPrivateProfileInt(lpszSection, lpszEntry, nDefault, m_pszProfileName);
}

BOOL CWinApp::WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue)
{
    if (lpszSection == NULL || lpszEntry == NULL)
        return FALSE;
    if (m_pszRegistryKey != NULL)
    {
        HKEY hSecKey = GetSectionKey(lpszSection);
        if (hSecKey == NULL)
            return FALSE;
        DWORD dwValue = (DWORD)nValue;
        LONG lResult = ::RegSetValueEx(hSecKey, lpszEntry, 0, REG_DWORD, (const BYTE*)&dwValue, sizeof(dwValue));
        ::RegCloseKey(hSecKey);
        return lResult == ERROR_SUCCESS;
    }
    char szValue[16];
    wsprintfA(szValue, "%d", nValue);
    return ::WritePrivateProfileString(lpszSection, lpszEntry, szValue, m_pszProfileName);
}

CString CWinApp::GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault)
{
    CString strDefault = lpszDefault != NULL ? lpszDefault : "";
    if (lpszSection == NULL || lpszEntry == NULL)
        return strDefault;
    if (m_pszRegistryKey != NULL)
    {
        HKEY hSecKey = AfxOpenSectionKey(this, lpszSection, FALSE);
        if (hSecKey == NULL)
            return strDefault;
        CString strValue;
        DWORD dwType = 0;
        DWORD dwCount = 0;
        LONG lResult = ::RegQueryValueEx(hSecKey, lpszEntry, NULL, &dwType, NULL, &dwCount);
        if (lResult == ERROR_SUCCESS && (dwType == REG_SZ || dwType == REG_EXPAND_SZ))
        {
            // The stored size counts bytes and may lack the terminating 0.
            LPTSTR lpsz = strValue.GetBuffer((int)dwCount + 1);
            DWORD dwGot = dwCount;
            lResult = ::RegQueryValueEx(hSecKey, lpszEntry, NULL, &dwType, (LPBYTE)lpsz, &dwGot);
            lpsz[dwGot <= dwCount ? dwGot : dwCount] = '\0';
            strValue.ReleaseBuffer();
        }
        ::RegCloseKey(hSecKey);
        if (lResult == ERROR_SUCCESS && (dwType == REG_SZ || dwType == REG_EXPAND_SZ))
            return strValue;
        return strDefault;
    }

    // INI: grow the buffer until the value fits.
    for (DWORD dwSize = 256;; dwSize *= 2)
    {
        CString strValue;
        DWORD dwGot = ::GetPrivateProfileString(lpszSection, lpszEntry, strDefault, strValue.GetBuffer((int)dwSize),
                                                dwSize, m_pszProfileName);
        strValue.ReleaseBuffer();
        if (dwGot < dwSize - 1 || dwSize >= 65536)
            return strValue;
    }
}

BOOL CWinApp::WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue)
{
    if (lpszSection == NULL || *lpszSection == '\0')
        return FALSE;
    if (m_pszRegistryKey != NULL)
    {
        if (lpszEntry == NULL)
        {
            // No entry: the whole section goes (with anything below it).
            HKEY hAppKey = AfxOpenAppKey(this, FALSE);
            if (hAppKey == NULL)
                return FALSE;
            LONG lResult = DelRegTree(hAppKey, CString(lpszSection));
            ::RegCloseKey(hAppKey);
            return lResult == ERROR_SUCCESS;
        }
        if (lpszValue == NULL)
        {
            // No value: the entry goes.
            HKEY hSecKey = AfxOpenSectionKey(this, lpszSection, FALSE);
            if (hSecKey == NULL)
                return FALSE;
            LONG lResult = ::RegDeleteValue(hSecKey, lpszEntry);
            ::RegCloseKey(hSecKey);
            return lResult == ERROR_SUCCESS;
        }
        HKEY hSecKey = GetSectionKey(lpszSection);
        if (hSecKey == NULL)
            return FALSE;
        LONG lResult = ::RegSetValueEx(hSecKey, lpszEntry, 0, REG_SZ, (const BYTE*)lpszValue,
                                       (DWORD)lstrlenA(lpszValue) + 1);
        ::RegCloseKey(hSecKey);
        return lResult == ERROR_SUCCESS;
    }
    return AfxWriteIniString(lpszSection, lpszEntry, lpszValue, m_pszProfileName);
}

BOOL AFXAPI AfxWriteIniString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue, LPCTSTR lpszFileName)
{
    if (lpszValue != NULL && strlen(lpszValue) > AFX_MAX_INI_VALUE)
    {
        TRACE("INI value %s\\%s of %u characters refused: too long for the INI file\n",
              lpszSection != NULL ? lpszSection : "", lpszEntry != NULL ? lpszEntry : "", (UINT)strlen(lpszValue));
        // The value stored before under that name goes, so that it is not
        // read back as the one that could not be written.
        if (lpszSection != NULL && lpszEntry != NULL)
            ::WritePrivateProfileString(lpszSection, lpszEntry, NULL, lpszFileName);
        return FALSE;
    }
    return ::WritePrivateProfileString(lpszSection, lpszEntry, lpszValue, lpszFileName);
}

BOOL CWinApp::GetProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE* ppData, UINT* pBytes)
{
    if (ppData == NULL || pBytes == NULL)
        return FALSE;
    *ppData = NULL;
    *pBytes = 0;
    if (lpszSection == NULL || lpszEntry == NULL)
        return FALSE;
    if (m_pszRegistryKey != NULL)
    {
        HKEY hSecKey = AfxOpenSectionKey(this, lpszSection, FALSE);
        if (hSecKey == NULL)
            return FALSE;
        DWORD dwType = 0;
        DWORD dwCount = 0;
        LONG lResult = ::RegQueryValueEx(hSecKey, lpszEntry, NULL, &dwType, NULL, &dwCount);
        if (lResult == ERROR_SUCCESS && dwType == REG_BINARY)
        {
            LPBYTE pData = new BYTE[dwCount > 0 ? dwCount : 1];
            DWORD dwGot = dwCount;
            lResult = ::RegQueryValueEx(hSecKey, lpszEntry, NULL, &dwType, pData, &dwGot);
            if (lResult == ERROR_SUCCESS && dwType == REG_BINARY && dwGot <= dwCount)
            {
                *ppData = pData;
                *pBytes = dwGot;
            }
            else
            {
                delete[] pData;
            }
        }
        ::RegCloseKey(hSecKey);
        return *ppData != NULL;
    }

    // INI: two letters per byte ('A' + nibble), low nibble first.
    CString str = GetProfileString(lpszSection, lpszEntry, NULL);
    int nLen = str.GetLength();
    if (nLen == 0 || (nLen % 2) != 0)
        return FALSE;
    for (int i = 0; i < nLen; i++)
    {
        if (str[i] < 'A' || str[i] > 'P')
            return FALSE;   // not ours: refuse rather than decode garbage
    }
    UINT nBytes = (UINT)nLen / 2;
    LPBYTE pData = new BYTE[nBytes];
    for (UINT i = 0; i < nBytes; i++)
        pData[i] = (BYTE)(((str[(int)(2 * i + 1)] - 'A') << 4) + (str[(int)(2 * i)] - 'A'));
    *ppData = pData;
    *pBytes = nBytes;
    return TRUE;
}

BOOL CWinApp::WriteProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE pData, UINT nBytes)
{
    if (lpszSection == NULL || lpszEntry == NULL || (pData == NULL && nBytes != 0))
        return FALSE;
    if (m_pszRegistryKey != NULL)
    {
        HKEY hSecKey = GetSectionKey(lpszSection);
        if (hSecKey == NULL)
            return FALSE;
        LONG lResult = ::RegSetValueEx(hSecKey, lpszEntry, 0, REG_BINARY, pData, nBytes);
        ::RegCloseKey(hSecKey);
        return lResult == ERROR_SUCCESS;
    }
    // Two letters a byte: refused before the text is made when too long.
    if (nBytes > AFX_MAX_INI_VALUE / 2)
    {
        TRACE("INI value %s\\%s of %u bytes refused: too long for the INI file\n", lpszSection, lpszEntry, nBytes);
        // As for a text too long: no earlier value stays under the name.
        ::WritePrivateProfileString(lpszSection, lpszEntry, NULL, m_pszProfileName);
        return FALSE;
    }
    CString str;
    LPTSTR lpsz = str.GetBuffer((int)nBytes * 2 + 1);
    for (UINT i = 0; i < nBytes; i++)
    {
        lpsz[i * 2] = (char)((pData[i] & 0x0F) + 'A');
        lpsz[i * 2 + 1] = (char)(((pData[i] >> 4) & 0x0F) + 'A');
    }
    lpsz[nBytes * 2] = '\0';
    str.ReleaseBuffer();
    return WriteProfileString(lpszSection, lpszEntry, str);
}

void CWinApp::LoadStdProfileSettings(UINT nMaxMRU)
{
    if (nMaxMRU > 16)
        nMaxMRU = 16;
    if (nMaxMRU != 0)
    {
        delete m_pRecentFileList;
        m_pRecentFileList = new CRecentFileList(0, "Recent File List", "File%d", (int)nMaxMRU);
        m_pRecentFileList->ReadList();
    }
    m_nNumPreviewPages = (int)GetProfileInt("Settings", "PreviewPages", 0);
}

void CWinApp::SaveStdProfileSettings()
{
    if (m_pRecentFileList != NULL)
        m_pRecentFileList->WriteList();
    if (m_nNumPreviewPages != 0)
        WriteProfileInt("Settings", "PreviewPages", m_nNumPreviewPages);
}
