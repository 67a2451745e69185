// One-pass reading of a profile section.
#include "HTProfileList.h"

#include <stdlib.h>
#include <string.h>

namespace
{
// Values of one section beyond this are not read: 1,000 profiles of the
// largest kind hold about 20,000.
const DWORD kMaxSectionValues = 100000;

// Largest INI section text read (bytes).
const DWORD kMaxSectionText = 16u * 1024u * 1024u;

std::string UpperKey(const char* psz, size_t nLength)
{
    std::string strKey(psz, nLength);
    for (char& ch : strKey)
    {
        if (ch >= 'a' && ch <= 'z')
            ch = (char)(ch - 'a' + 'A');
    }
    return strKey;
}

std::string Trimmed(const std::string& str)
{
    size_t nStart = str.find_first_not_of(" \t");
    if (nStart == std::string::npos)
        return std::string();
    size_t nEnd = str.find_last_not_of(" \t");
    return str.substr(nStart, nEnd - nStart + 1);
}
} // namespace

void CHTProfileSection::AddEntry(const char* pszName, size_t nNameLength)
{
    // "<n>_<key>": the profile number n has a value.
    size_t nDigits = 0;
    while (nDigits < nNameLength && nDigits < 9 && pszName[nDigits] >= '0' && pszName[nDigits] <= '9')
        nDigits++;
    if (nDigits > 0 && nDigits < nNameLength && pszName[nDigits] == '_')
        m_numbers.insert(atoi(std::string(pszName, nDigits).c_str()));
}

void CHTProfileSection::Clear()
{
    m_ints.clear();
    m_strings.clear();
    m_numbers.clear();
    m_nonNumbers.clear();
}

BOOL CHTProfileSection::Read(const char* pszSection)
{
    Clear();
    if (pszSection == NULL)
        return FALSE;
    CString strIni = CXTRegistryManager::GetINIFileName();
    if (!strIni.IsEmpty())
        return ReadIniSection(pszSection, strIni);

    CXTRegistryManager regManager(HKEY_LOCAL_MACHINE);
    HKEY hKey = regManager.GetSectionKey(pszSection, KEY_READ);
    if (hKey == NULL)
        return FALSE;
    DWORD dwValues = 0, dwMaxName = 0, dwMaxData = 0;
    if (::RegQueryInfoKeyA(hKey, NULL, NULL, NULL, NULL, NULL, NULL, &dwValues, &dwMaxName, &dwMaxData, NULL,
                           NULL) != ERROR_SUCCESS)
    {
        ::RegCloseKey(hKey);
        return FALSE;
    }
    if (dwValues > kMaxSectionValues)
    {
        TRACE("profile section %s holds %lu values; only the first %lu are read\n", pszSection,
              (unsigned long)dwValues, (unsigned long)kMaxSectionValues);
        dwValues = kMaxSectionValues;
    }
    std::string strName(dwMaxName + 2, '\0');
    std::string strData(dwMaxData + 2, '\0');
    for (DWORD i = 0; i < dwValues; i++)
    {
        DWORD dwNameLength = (DWORD)strName.size();
        DWORD dwDataLength = (DWORD)strData.size() - 1;
        DWORD dwType = REG_NONE;
        LONG lResult = ::RegEnumValueA(hKey, i, &strName[0], &dwNameLength, NULL, &dwType, (LPBYTE)&strData[0],
                                       &dwDataLength);
        if (lResult == ERROR_NO_MORE_ITEMS)
            break;
        if (lResult != ERROR_SUCCESS)
            continue;   // a value that changed size meanwhile is taken as missing
        std::string strKey = UpperKey(strName.c_str(), dwNameLength);
        // The same rules as single reads: a number is a 4-byte DWORD, a text
        // a string value; anything else reads as missing.
        if (dwType == REG_DWORD && dwDataLength == sizeof(DWORD))
        {
            DWORD dwValue = 0;
            memcpy(&dwValue, strData.data(), sizeof(DWORD));
            m_ints[strKey] = dwValue;
        }
        else if (dwType == REG_SZ || dwType == REG_EXPAND_SZ)
        {
            strData[dwDataLength] = '\0';
            m_strings[strKey] = std::string(strData.c_str());
        }
        else
        {
            m_nonNumbers.insert(strKey);
            continue;
        }
        if (dwType != REG_DWORD)
            m_nonNumbers.insert(strKey);
        AddEntry(strName.c_str(), dwNameLength);
    }
    ::RegCloseKey(hKey);
    return TRUE;
}

BOOL CHTProfileSection::ReadIniSection(const char* pszSection, const char* pszFile)
{
    std::string strText;
    for (DWORD dwSize = 64 * 1024;; dwSize *= 2)
    {
        strText.assign(dwSize, '\0');
        DWORD dwGot = ::GetPrivateProfileSectionA(pszSection, &strText[0], dwSize, pszFile);
        if (dwGot < dwSize - 2)
        {
            strText.resize(dwGot);
            break;
        }
        if (dwSize >= kMaxSectionText)
        {
            TRACE("profile section %s is larger than %lu bytes; it is read in part\n", pszSection,
                  (unsigned long)kMaxSectionText);
            strText.resize(dwGot);
            break;
        }
    }

    // "key=value" lines, each ended by a zero. Every value is text in a
    // file; a number is its leading decimal digits, as a single read gives.
    size_t nLines = 0;
    for (size_t nPos = 0; nPos < strText.size() && nLines < kMaxSectionValues; nLines++)
    {
        size_t nEnd = strText.find('\0', nPos);
        if (nEnd == std::string::npos)
            nEnd = strText.size();
        std::string strLine = strText.substr(nPos, nEnd - nPos);
        nPos = nEnd + 1;
        size_t nEquals = strLine.find('=');
        if (nEquals == std::string::npos)
            continue;
        std::string strName = Trimmed(strLine.substr(0, nEquals));
        std::string strValue = Trimmed(strLine.substr(nEquals + 1));
        if (strName.empty())
            continue;
        if (strValue.size() >= 2 && (strValue[0] == '"' || strValue[0] == '\'') &&
            strValue[strValue.size() - 1] == strValue[0])
            strValue = strValue.substr(1, strValue.size() - 2);
        std::string strKey = UpperKey(strName.c_str(), strName.size());
        if (m_strings.find(strKey) != m_strings.end())
            continue;   // the first of two lines with one name is the one read
        m_strings[strKey] = strValue;
        char* pszEnd = NULL;
        m_ints[strKey] = (DWORD)strtol(strValue.c_str(), &pszEnd, 10);
        if (pszEnd == strValue.c_str())
            m_nonNumbers.insert(strKey);
        AddEntry(strName.c_str(), strName.size());
    }
    return TRUE;
}

UINT CHTProfileSection::GetInt(const char* pszEntry, int nDefault) const
{
    std::map<std::string, DWORD>::const_iterator it = m_ints.find(UpperKey(pszEntry, strlen(pszEntry)));
    return it != m_ints.end() ? (UINT)it->second : (UINT)nDefault;
}

CString CHTProfileSection::GetString(const char* pszEntry, const char* pszDefault) const
{
    std::map<std::string, std::string>::const_iterator it = m_strings.find(UpperKey(pszEntry, strlen(pszEntry)));
    if (it == m_strings.end())
        return CString(pszDefault != NULL ? pszDefault : "");
    return CString(it->second.c_str());
}

BOOL CHTProfileSection::HasNumber(int nNumber) const
{
    return m_numbers.find(nNumber) != m_numbers.end();
}

int CHTProfileSection::GetHighestNumber() const
{
    return m_numbers.empty() ? -1 : *m_numbers.rbegin();
}

BOOL CHTProfileSection::IsStoredAsNonNumber(const char* pszEntry) const
{
    return m_nonNumbers.find(UpperKey(pszEntry, strlen(pszEntry))) != m_nonNumbers.end();
}
