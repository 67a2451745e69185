// Property exchange stores: registry, INI file and binary archive, and the
// section holder on the application profile.
#include "XTPPropExchange.h"

#include <map>
#include <utility>

#include <memory>
#include <shlwapi.h>
#include <algorithm>

namespace
{
// Loads a block of nSize bytes with fnRead, which returns whether it read them all.
// The block goes into the caller's buffer pData when there is one (it must hold
// nBytes >= nSize bytes); otherwise into a new malloc'd block handed back in pData
// and nBytes. A new block is freed again when the read fails or throws.
template <class TRead>
BOOL LoadBlob(BYTE*& pData, DWORD& nBytes, DWORD nSize, TRead fnRead)
{
    BYTE* pBlock = pData;
    BOOL bAllocated = FALSE;
    if (pBlock == NULL)
    {
        pBlock = (BYTE*)malloc(nSize != 0 ? nSize : 1);
        if (pBlock == NULL)
            return FALSE;
        bAllocated = TRUE;
    }
    else if (nBytes < nSize)
    {
        return FALSE;
    }

    bool bRead = false;
    try
    {
        bRead = fnRead(pBlock);
    }
    catch (...)
    {
        if (bAllocated)
            free(pBlock);
        throw;
    }
    if (!bRead)
    {
        if (bAllocated)
            free(pBlock);
        return FALSE;
    }

    if (bAllocated)
    {
        pData = pBlock;
        nBytes = nSize;
    }
    return TRUE;
}
} // namespace

//////////////////////////////////////////////////////////////////////////
// CXTPPropExchangeRegistry

CXTPPropExchangeRegistry::CXTPPropExchangeRegistry(BOOL bLoading, HKEY hParentKey, LPCTSTR lpszSection)
    : CXTPPropExchangeRegistry(bLoading, hParentKey, lpszSection, TRUE)
{
}

CXTPPropExchangeRegistry::CXTPPropExchangeRegistry(BOOL bLoading, HKEY hParentKey, LPCTSTR lpszSection,
                                                   BOOL bAppKeyFallback)
    : m_hSectionKey(NULL), m_hParentKey(hParentKey), m_strSectionName(lpszSection), m_bCloseParentKey(FALSE)
{
    m_bLoading = bLoading;
    if (m_hParentKey == NULL && bAppKeyFallback)
    {
        CWinApp* pApp = AfxGetApp();
        if (pApp != NULL)
        {
            m_hParentKey = pApp->GetAppRegistryKey();
            m_bCloseParentKey = m_hParentKey != NULL;
        }
    }
}

CXTPPropExchangeRegistry::~CXTPPropExchangeRegistry()
{
    if (m_hSectionKey != NULL)
        ::RegCloseKey(m_hSectionKey);
    m_hSectionKey = NULL;
    if (m_bCloseParentKey && m_hParentKey != NULL)
        ::RegCloseKey(m_hParentKey);
    m_hParentKey = NULL;
}

BOOL CXTPPropExchangeRegistry::PrepareStore()
{
    if (m_hParentKey == NULL)
        return FALSE;

    if (!m_bInitialized)
    {
        m_bInitialized = TRUE;
        // Loading only opens: reading settings never leaves keys behind.
        HKEY hKey = NULL;
        LONG lResult = m_bLoading ? ::RegOpenKeyExA(m_hParentKey, m_strSectionName, 0, KEY_READ, &hKey)
                                  : ::RegCreateKeyExA(m_hParentKey, m_strSectionName, 0, NULL, 0, KEY_WRITE, NULL,
                                                      &hKey, NULL);
        if (lResult == ERROR_SUCCESS)
            m_hSectionKey = hKey;
    }
    return m_hSectionKey != NULL;
}

BOOL CXTPPropExchangeRegistry::ExchangeValue(LPCTSTR pszPropName, VARTYPE vtProp, void* pvProp,
                                             const void* pvDefault)
{
    if (pvProp == NULL)
        return FALSE;

    switch (vtProp)
    {
    case VT_I2: case VT_I4: case VT_BOOL: case VT_UI1:
    case VT_R4: case VT_R8:
    case VT_LPSTR: case VT_EX_RECT: case VT_EX_SIZE:
        break;
    default:
        return FALSE;  // currency, dates, wide strings and variants are not kept here
    }

    if (m_bLoading)
    {
        if (!m_bUseDefaultOnLoad)
            pvDefault = NULL;

        if (!PrepareStore())
            return CopyPropValue(vtProp, pvProp, pvDefault);

        switch (vtProp)
        {
        case VT_I2: case VT_I4: case VT_BOOL: case VT_UI1:
        {
            DWORD dwValue = 0, dwType = 0, dwSize = sizeof(DWORD);
            if (::RegQueryValueExA(m_hSectionKey, pszPropName, NULL, &dwType, (LPBYTE)&dwValue, &dwSize) !=
                    ERROR_SUCCESS ||
                dwType != REG_DWORD || dwSize != sizeof(DWORD))
                return CopyPropValue(vtProp, pvProp, pvDefault);
            memcpy(pvProp, &dwValue, GetSizeOfVarType(vtProp));
            return TRUE;
        }

        case VT_R4: case VT_R8:
        {
            BYTE buffer[8];
            DWORD dwType = 0, dwSize = sizeof(buffer);
            DWORD nExpected = GetSizeOfVarType(vtProp);
            if (::RegQueryValueExA(m_hSectionKey, pszPropName, NULL, &dwType, buffer, &dwSize) != ERROR_SUCCESS ||
                dwType != REG_BINARY || dwSize != nExpected)
                return CopyPropValue(vtProp, pvProp, pvDefault);
            memcpy(pvProp, buffer, nExpected);
            return TRUE;
        }

        default:  // text forms
        {
            // A short text is read in one call; a longer one is measured first.
            char szShort[256];
            DWORD dwType = 0, dwSize = sizeof(szShort) - 1;
            LONG lResult = ::RegQueryValueExA(m_hSectionKey, pszPropName, NULL, &dwType, (LPBYTE)szShort, &dwSize);
            CString strValue;
            if (lResult == ERROR_SUCCESS)
            {
                if (dwType != REG_SZ && dwType != REG_EXPAND_SZ)
                    return CopyPropValue(vtProp, pvProp, pvDefault);
                szShort[std::min(dwSize, (DWORD)sizeof(szShort) - 1)] = 0;
                strValue = szShort;
            }
            else
            {
                dwSize = 0;
                if (lResult != ERROR_MORE_DATA ||
                    ::RegQueryValueExA(m_hSectionKey, pszPropName, NULL, &dwType, NULL, &dwSize) != ERROR_SUCCESS ||
                    (dwType != REG_SZ && dwType != REG_EXPAND_SZ) || dwSize > XTP_PROPEXCHANGE_MAX_BLOCK)
                    return CopyPropValue(vtProp, pvProp, pvDefault);

                // One byte more than the value, always terminated.
                LPTSTR lpsz = strValue.GetBuffer((int)dwSize + 1);
                ZeroMemory(lpsz, dwSize + 1);
                DWORD dwRead = dwSize;
                lResult = ::RegQueryValueExA(m_hSectionKey, pszPropName, NULL, &dwType, (LPBYTE)lpsz, &dwRead);
                lpsz[std::min(dwRead, dwSize)] = 0;
                strValue.ReleaseBuffer();
                if (lResult != ERROR_SUCCESS)
                    return CopyPropValue(vtProp, pvProp, pvDefault);
            }

            if (vtProp == VT_LPSTR)
            {
                *(CString*)pvProp = strValue;
                return TRUE;
            }
            return TextToProp(vtProp, strValue, pvProp, pvDefault);
        }
        }
    }

    if (!m_bUseDefaultOnSave)
        pvDefault = NULL;

    if (!PrepareStore())
        return FALSE;

    if (pvDefault != NULL && IsSamePropValue(vtProp, pvProp, pvDefault))
    {
        // The default is stored as no value: one left from before would be
        // read back instead.
        return m_bEmptySection || m_hSectionKey == NULL || RemoveValue(pszPropName);
    }

    LONG lResult = ERROR_INVALID_PARAMETER;
    switch (vtProp)
    {
    case VT_I2: case VT_I4: case VT_BOOL: case VT_UI1:
    {
        DWORD dwValue = 0;
        switch (vtProp)
        {
        case VT_I2: dwValue = *(WORD*)pvProp; break;
        case VT_UI1: dwValue = *(BYTE*)pvProp; break;
        default: dwValue = *(DWORD*)pvProp; break;
        }
        lResult = ::RegSetValueExA(m_hSectionKey, pszPropName, 0, REG_DWORD, (const BYTE*)&dwValue, sizeof(DWORD));
        break;
    }

    case VT_R4: case VT_R8:
        lResult = ::RegSetValueExA(m_hSectionKey, pszPropName, 0, REG_BINARY, (const BYTE*)pvProp,
                                   GetSizeOfVarType(vtProp));
        break;

    case VT_LPSTR:
    {
        const CString& str = *(const CString*)pvProp;
        lResult = ::RegSetValueExA(m_hSectionKey, pszPropName, 0, REG_SZ, (const BYTE*)(LPCTSTR)str,
                                   (DWORD)str.GetLength() + 1);
        break;
    }

    default:
    {
        CString strText;
        if (!PropToText(vtProp, pvProp, strText))
            return FALSE;
        lResult = ::RegSetValueExA(m_hSectionKey, pszPropName, 0, REG_SZ, (const BYTE*)(LPCTSTR)strText,
                                   (DWORD)strText.GetLength() + 1);
        break;
    }
    }
    if (lResult != ERROR_SUCCESS)
    {
        // The value is not written: what was stored before goes, so that
        // no earlier value is read back as this one.
        TRACE("CXTPPropExchangeRegistry: \"%s\" cannot be written (%ld)\n", pszPropName, lResult);
        RemoveValue(pszPropName);
        return FALSE;
    }
    return TRUE;
}

BOOL CXTPPropExchangeRegistry::RemoveValue(LPCTSTR pszPropName)
{
    LONG lResult = ::RegDeleteValueA(m_hSectionKey, pszPropName);
    if (lResult == ERROR_SUCCESS || lResult == ERROR_FILE_NOT_FOUND)
        return TRUE;
    TRACE("CXTPPropExchangeRegistry: the stored \"%s\" cannot be removed (%ld)\n", pszPropName, lResult);
    return FALSE;
}

BOOL CXTPPropExchangeRegistry::ExchangeBlob(LPCTSTR pszPropName, BYTE*& pData, DWORD& nBytes)
{
    if (!PrepareStore())
        return FALSE;

    if (!m_bLoading)
    {
        LONG lResult = ::RegSetValueExA(m_hSectionKey, pszPropName, 0, REG_BINARY, pData, pData != NULL ? nBytes : 0);
        if (lResult == ERROR_SUCCESS)
            return TRUE;
        TRACE("CXTPPropExchangeRegistry: the block \"%s\" cannot be written (%ld)\n", pszPropName, lResult);
        RemoveValue(pszPropName);
        return FALSE;
    }

    DWORD dwType = 0, dwSize = 0;
    if (::RegQueryValueExA(m_hSectionKey, pszPropName, NULL, &dwType, NULL, &dwSize) != ERROR_SUCCESS)
        return FALSE;
    if (dwType != REG_BINARY || dwSize > XTP_PROPEXCHANGE_MAX_BLOCK)
        return FALSE;

    return LoadBlob(pData, nBytes, dwSize,
                    [&](BYTE* pBlock)
                    {
                        DWORD dwRead = dwSize;
                        return ::RegQueryValueExA(m_hSectionKey, pszPropName, NULL, &dwType, pBlock, &dwRead) ==
                                   ERROR_SUCCESS &&
                               dwRead == dwSize;
                    });
}

CXTPPropExchange* CXTPPropExchangeRegistry::OpenSection(LPCTSTR lpszSection)
{
    PrepareStore();
    CXTPPropExchangeRegistry* pSection = new CXTPPropExchangeRegistry(m_bLoading, m_hSectionKey, lpszSection, FALSE);
    pSection->InitSection(this);
    return pSection;
}

void CXTPPropExchangeRegistry::ClearSection()
{
    m_bEmptySection = TRUE;
    if (m_hSectionKey != NULL)
        ::RegCloseKey(m_hSectionKey);
    m_hSectionKey = NULL;
    if (m_hParentKey != NULL && !m_strSectionName.IsEmpty())
    {
        // Subkeys without subkeys of their own (every section a layout or a
        // bar writes) are deleted directly, which takes far fewer registry
        // calls than the general tree walk; anything deeper takes that walk.
        HKEY hKey = NULL;
        LONG lOpened = ::RegOpenKeyExA(m_hParentKey, m_strSectionName, 0, KEY_READ | KEY_WRITE, &hKey);
        if (lOpened != ERROR_SUCCESS && lOpened != ERROR_FILE_NOT_FOUND)
        {
            // Not cleared: values equal to their defaults are then removed
            // one by one, so that none left from before is read back.
            TRACE("CXTPPropExchangeRegistry: the section \"%s\" cannot be cleared (%ld)\n",
                  (LPCTSTR)m_strSectionName, lOpened);
            m_bEmptySection = FALSE;
        }
        if (lOpened == ERROR_SUCCESS)
        {
            CStringArray arrNames;
            char szName[256];
            for (DWORD dwIndex = 0;; dwIndex++)
            {
                DWORD cchName = sizeof(szName);
                LONG lResult = ::RegEnumKeyExA(hKey, dwIndex, szName, &cchName, NULL, NULL, NULL, NULL);
                if (lResult == ERROR_NO_MORE_ITEMS)
                    break;
                if (lResult == ERROR_SUCCESS)
                    arrNames.Add(szName);
                else if (lResult != ERROR_MORE_DATA)
                    break;
            }
            for (INT_PTR i = 0; i < arrNames.GetSize(); i++)
            {
                if (::RegDeleteKeyA(hKey, arrNames[i]) != ERROR_SUCCESS)
                    ::SHDeleteKeyA(hKey, arrNames[i]);
            }
            ::RegCloseKey(hKey);
            if (::RegDeleteKeyA(m_hParentKey, m_strSectionName) != ERROR_SUCCESS &&
                ::SHDeleteKeyA(m_hParentKey, m_strSectionName) != ERROR_SUCCESS)
            {
                TRACE("CXTPPropExchangeRegistry: the section \"%s\" cannot be cleared\n", (LPCTSTR)m_strSectionName);
                m_bEmptySection = FALSE;
            }
        }
    }
    m_bInitialized = FALSE;
}

//////////////////////////////////////////////////////////////////////////
// CXTPPropExchangeIniFile

CXTPPropExchangeIniFile::CXTPPropExchangeIniFile(BOOL bLoading, LPCTSTR lpszParentSection, LPCTSTR lpszSection)
    : m_bDeleteFile(TRUE)
{
    m_bLoading = bLoading;
    m_bEmptySection = TRUE;
    if (lpszParentSection != NULL && *lpszParentSection != 0)
        m_strSectionName = CString(lpszParentSection) + "\\" + lpszSection;
    else
        m_strSectionName = lpszSection;
}

CXTPPropExchangeIniFile::~CXTPPropExchangeIniFile()
{
    if (!m_bChildSection && m_bDeleteFile && !m_strFileName.IsEmpty())
        ::DeleteFileA(m_strFileName);
}

void CXTPPropExchangeIniFile::SetFileName(LPCTSTR lpszFileName)
{
    m_strFileName = lpszFileName;
    m_bDeleteFile = FALSE;
    m_bEmptySection = FALSE;
}

BOOL CXTPPropExchangeIniFile::PrepareStore()
{
    if (!m_bInitialized)
    {
        if (m_strFileName.IsEmpty())
        {
            char szTempPath[MAX_PATH + 1], szTempFile[MAX_PATH + 1];
            if (::GetTempPathA(MAX_PATH, szTempPath) == 0)
                return FALSE;
            if (::GetTempFileNameA(szTempPath, "xtp", 0, szTempFile) == 0)
                return FALSE;
            m_strFileName = szTempFile;
            m_bDeleteFile = TRUE;
        }
        m_bInitialized = TRUE;
    }
    return !m_strFileName.IsEmpty();
}

BOOL CXTPPropExchangeIniFile::ExchangeValue(LPCTSTR pszPropName, VARTYPE vtProp, void* pvProp,
                                            const void* pvDefault)
{
    if (pvProp == NULL)
        return FALSE;

    switch (vtProp)
    {
    case VT_I2: case VT_I4: case VT_BOOL: case VT_UI1:
    case VT_R4: case VT_R8: case VT_DATE: case VT_VARIANT:
    case VT_LPSTR: case VT_EX_RECT: case VT_EX_SIZE:
        break;
    default:
        return FALSE;  // currency and wide strings have no text form here
    }

    if (m_bLoading)
    {
        if (!m_bUseDefaultOnLoad)
            pvDefault = NULL;

        if (!PrepareStore())
            return CopyPropValue(vtProp, pvProp, pvDefault);

        CString strValue;
        DWORD dwLength = ::GetPrivateProfileStringA(m_strSectionName, pszPropName, "", strValue.GetBuffer(256), 256,
                                                    m_strFileName);
        strValue.ReleaseBuffer();
        if (dwLength == 0)
            return CopyPropValue(vtProp, pvProp, pvDefault);

        // A longer value is read again into a buffer that grows until the
        // whole value fits: whatever the writer put into the file (up to its
        // own limit for one value) reads back whole.
        for (DWORD dwSize = 1024; dwLength >= 255; dwSize *= 2)
        {
            dwLength = ::GetPrivateProfileStringA(m_strSectionName, pszPropName, "", strValue.GetBuffer((int)dwSize),
                                                  dwSize, m_strFileName);
            strValue.ReleaseBuffer();
            if (dwLength < dwSize - 1 || dwSize > 2u * AFX_MAX_INI_VALUE)
                break;
        }
        return TextToProp(vtProp, strValue, pvProp, pvDefault);
    }

    if (!m_bUseDefaultOnSave)
        pvDefault = NULL;

    if (!PrepareStore())
        return FALSE;

    if (pvDefault != NULL && IsSamePropValue(vtProp, pvProp, pvDefault))
    {
        // The default is stored as no value: one left from before would be
        // read back instead.
        return m_bEmptySection || RemoveValue(pszPropName);
    }

    CString strText;
    if (!PropToText(vtProp, pvProp, strText))
        return FALSE;
    if (AfxWriteIniString(m_strSectionName, pszPropName, strText, m_strFileName))
        return TRUE;
    // Not written (too long for one line of the file, or the file cannot be
    // written): what was stored before goes, so that no earlier value is
    // read back as this one.
    TRACE("CXTPPropExchangeIniFile: \"%s\" of %d characters cannot be written\n", pszPropName,
          strText.GetLength());
    RemoveValue(pszPropName);
    return FALSE;
}

BOOL CXTPPropExchangeIniFile::RemoveValue(LPCTSTR pszPropName)
{
    if (::WritePrivateProfileStringA(m_strSectionName, pszPropName, NULL, m_strFileName))
        return TRUE;
    TRACE("CXTPPropExchangeIniFile: the stored \"%s\" cannot be removed\n", pszPropName);
    return FALSE;
}

CXTPPropExchange* CXTPPropExchangeIniFile::OpenSection(LPCTSTR lpszSection)
{
    PrepareStore();
    CXTPPropExchangeIniFile* pSection = new CXTPPropExchangeIniFile(m_bLoading, m_strSectionName, lpszSection);
    pSection->m_strFileName = m_strFileName;
    pSection->m_bDeleteFile = m_bDeleteFile;
    pSection->InitSection(this);
    return pSection;
}

void CXTPPropExchangeIniFile::ClearSection()
{
    if (m_bEmptySection || m_strFileName.IsEmpty())
        return;
    m_bEmptySection = TRUE;

    DWORD dwBufferSize = 8000;
    char* pszNames = NULL;
    for (;;)
    {
        free(pszNames);
        pszNames = (char*)malloc(dwBufferSize);
        if (pszNames == NULL)
        {
            m_bEmptySection = FALSE;   // not cleared
            return;
        }
        DWORD dwResult = ::GetPrivateProfileSectionNamesA(pszNames, dwBufferSize, m_strFileName);
        if (dwResult != dwBufferSize - 2 || dwBufferSize >= 64u * 1024u * 1024u)
            break;
        dwBufferSize *= 2;
    }

    CString strPrefix = m_strSectionName + "\\";
    CStringArray arrDelete;
    for (const char* psz = pszNames; *psz; psz += strlen(psz) + 1)
    {
        if (m_strSectionName == psz || strncmp(psz, strPrefix, strPrefix.GetLength()) == 0)
            arrDelete.Add(psz);
    }
    free(pszNames);

    for (int i = 0; i < (int)arrDelete.GetSize(); i++)
    {
        if (!::WritePrivateProfileStringA(arrDelete[i], NULL, NULL, m_strFileName))
        {
            // Not cleared: values equal to their defaults are then removed
            // one by one, so that none left from before is read back.
            TRACE("CXTPPropExchangeIniFile: the section \"%s\" cannot be cleared\n", (LPCTSTR)arrDelete[i]);
            m_bEmptySection = FALSE;
        }
    }
}

//////////////////////////////////////////////////////////////////////////
// CXTPPropExchangeArchive

CXTPPropExchangeArchive::CXTPPropExchangeArchive(CArchive& ar)
    : m_pArchive(&ar)
{
    m_bLoading = ar.IsLoading();
}

CXTPPropExchangeArchive::~CXTPPropExchangeArchive()
{
}

BOOL CXTPPropExchangeArchive::ExchangeValue(LPCTSTR /*pszPropName*/, VARTYPE vtProp, void* pvProp,
                                            const void* /*pvDefault*/)
{
    if (pvProp == NULL)
        return FALSE;

    CArchive& ar = *m_pArchive;
    if (!m_bLoading)
    {
        switch (vtProp)
        {
        case VT_I2: ar << *(WORD*)pvProp; return TRUE;
        case VT_I4: ar << *(DWORD*)pvProp; return TRUE;
        case VT_BOOL: ar << *(DWORD*)pvProp; return TRUE;
        case VT_UI1: ar << *(BYTE*)pvProp; return TRUE;
        case VT_R4: ar << *(float*)pvProp; return TRUE;
        case VT_R8: ar << *(double*)pvProp; return TRUE;
        case VT_CY:
        {
            CY* pcy = (CY*)pvProp;
            ar << (DWORD)pcy->Lo << (DWORD)pcy->Hi;
            return TRUE;
        }
        // Dates and variants take the class library's own archive forms.
        case VT_DATE: ar << *(COleDateTime*)pvProp; return TRUE;
        case VT_VARIANT: ar << COleVariant(*(VARIANT*)pvProp); return TRUE;
        case VT_LPSTR: ar << *(CString*)pvProp; return TRUE;
        case VT_EX_RECT:
        {
            RECT* prc = (RECT*)pvProp;
            ar << (LONG)prc->left << (LONG)prc->top << (LONG)prc->right << (LONG)prc->bottom;
            return TRUE;
        }
        case VT_EX_SIZE:
        {
            SIZE* psz = (SIZE*)pvProp;
            ar << (LONG)psz->cx << (LONG)psz->cy;
            return TRUE;
        }
        default:
            return FALSE;
        }
    }

    switch (vtProp)
    {
    case VT_I2: ar >> *(WORD*)pvProp; return TRUE;
    case VT_I4: ar >> *(DWORD*)pvProp; return TRUE;
    case VT_BOOL: ar >> *(DWORD*)pvProp; return TRUE;
    case VT_UI1: ar >> *(BYTE*)pvProp; return TRUE;
    case VT_R4: ar >> *(float*)pvProp; return TRUE;
    case VT_R8: ar >> *(double*)pvProp; return TRUE;
    case VT_CY:
    {
        DWORD lo = 0, hi = 0;
        ar >> lo >> hi;
        CY* pcy = (CY*)pvProp;
        pcy->Lo = lo;
        pcy->Hi = (LONG)hi;
        return TRUE;
    }
    case VT_DATE: ar >> *(COleDateTime*)pvProp; return TRUE;
    case VT_VARIANT:
    {
        COleVariant var;
        ar >> var;
        VARIANT& target = *(VARIANT*)pvProp;
        ::VariantClear(&target);
        target = var.Detach();
        return TRUE;
    }
    case VT_LPSTR: ar >> *(CString*)pvProp; return TRUE;
    case VT_EX_RECT:
    {
        LONG l = 0, t = 0, r = 0, b = 0;
        ar >> l >> t >> r >> b;
        RECT* prc = (RECT*)pvProp;
        prc->left = l;
        prc->top = t;
        prc->right = r;
        prc->bottom = b;
        return TRUE;
    }
    case VT_EX_SIZE:
    {
        LONG cx = 0, cy = 0;
        ar >> cx >> cy;
        SIZE* psz = (SIZE*)pvProp;
        psz->cx = cx;
        psz->cy = cy;
        return TRUE;
    }
    default:
        return FALSE;
    }
}

BOOL CXTPPropExchangeArchive::ExchangeBlob(LPCTSTR /*pszPropName*/, BYTE*& pData, DWORD& nBytes)
{
    CArchive& ar = *m_pArchive;
    if (!m_bLoading)
    {
        DWORD nSize = pData != NULL ? nBytes : 0;
        ar.WriteCount(nSize);
        if (nSize != 0)
            ar.Write(pData, nSize);
        return TRUE;
    }

    DWORD nSize = (DWORD)ar.ReadCount();
    ULONGLONG nLeft = 0;
    if (nSize > XTP_PROPEXCHANGE_MAX_BLOCK || (ar.GetBytesLeft(nLeft) && nLeft < nSize))
        return FALSE;

    // Read in steps as the bytes arrive before the block is made, so a
    // stored size that lies costs little memory when the length is unknown.
    std::unique_ptr<BYTE[]> bytes;
    try
    {
        bytes.reset(ar.ReadNewBuffer(nSize));
    }
    catch (CArchiveException* e)
    {
        if (e->m_cause != CArchiveException::endOfFile)
            throw;
        e->Delete();
        return FALSE;   // fewer bytes than stored: nothing is handed out
    }
    return LoadBlob(pData, nBytes, nSize,
                    [&](BYTE* pBlock)
                    {
                        if (nSize != 0)
                            memcpy(pBlock, bytes.get(), nSize);
                        return true;
                    });
}

void CXTPPropExchangeArchive::WriteClassWithSchema(const CRuntimeClass* pClass)
{
    // The class is written as a twin that carries the exchange's schema,
    // which the reading side takes as the schema of the object's values.
    // A twin is made once per class and schema and lives for the process,
    // since the archive keeps the class pointers it wrote.
    static std::map<std::pair<const CRuntimeClass*, int>, CRuntimeClass> s_twins;
    std::pair<const CRuntimeClass*, int> key(pClass, m_nSchema);
    std::map<std::pair<const CRuntimeClass*, int>, CRuntimeClass>::iterator it = s_twins.find(key);
    if (it == s_twins.end())
    {
        CRuntimeClass twin = *pClass;
        twin.m_wSchema = (UINT)m_nSchema;
        it = s_twins.insert(std::make_pair(key, twin)).first;
    }
    m_pArchive->WriteClass(&it->second);
}

BOOL CXTPPropExchangeArchive::ExchangeClass(LPCTSTR /*pszPropName*/, CRuntimeClass*& pClass,
                                            CRuntimeClass* pDefaultClass)
{
    if (!m_bLoading)
    {
        if (pClass == NULL)
            return FALSE;
        if (pClass->m_wSchema == 0xFFFF)
        {
            // A class made by name but not serialisable (controls, bars) is
            // written with the exchange's schema.
            WriteClassWithSchema(pClass);
            return TRUE;
        }
        m_pArchive->WriteClass(pClass);
        return TRUE;
    }

    UINT nSchema = 0;
    pClass = m_pArchive->ReadClass(pDefaultClass, &nSchema);
    m_nSchema = (int)nSchema;
    return pClass != NULL;
}

BOOL CXTPPropExchangeArchive::ExchangeObjectByClass(CObject*& pObject, CRuntimeClass* pDefaultClass)
{
    if (!CXTPPropExchange::ExchangeObjectByClass(pObject, pDefaultClass))
        return FALSE;
    m_pArchive->MapObject(pObject);
    return TRUE;
}

CArchive* CXTPPropExchangeArchive::OpenBlobArchive(LPCTSTR /*pszPropName*/)
{
    return m_pArchive;
}

BOOL CXTPPropExchangeArchive::CloseBlobArchive(LPCTSTR /*pszPropName*/, CArchive* /*pArchive*/)
{
    // The store's own archive: its writes throw when they fail.
    return TRUE;
}

CXTPPropExchange* CXTPPropExchangeArchive::OpenSection(LPCTSTR /*lpszSection*/)
{
    CXTPPropExchangeArchive* pSection = new CXTPPropExchangeArchive(*m_pArchive);
    pSection->InitSection(this);
    return pSection;
}

void CXTPPropExchangeArchive::ClearSection()
{
    m_bEmptySection = TRUE;
}

void CXTPPropExchangeArchive::WriteCount(DWORD dwCount)
{
    m_pArchive->WriteCount(dwCount);
}

DWORD CXTPPropExchangeArchive::ReadCount()
{
    return (DWORD)m_pArchive->ReadCount();
}

BOOL CXTPPropExchangeArchive::WriteBlock(LPCTSTR /*pszPropName*/, BYTE* pData, DWORD nBytes)
{
    if (pData != NULL && nBytes != 0)
        m_pArchive->Write(pData, nBytes);
    return TRUE;
}

DWORD CXTPPropExchangeArchive::ReadBlock(LPCTSTR /*pszPropName*/, BYTE* pData, DWORD nBytes)
{
    if (pData == NULL || nBytes == 0)
        return 0;
    return m_pArchive->Read(pData, nBytes);
}

void CXTPPropExchangeArchive::ExchangeSchema()
{
    const DWORD dwMark = 0x0FF0ADBF;
    CArchive& ar = *m_pArchive;
    if (!m_bLoading)
    {
        ar << dwMark << (DWORD)m_nSchema;
        return;
    }

    DWORD dwPeek = 0;
    ar.FillBuffer(sizeof(DWORD));
    if (!ar.Peek(&dwPeek, sizeof(DWORD)) || dwPeek != dwMark)
    {
        m_nSchema = 17;
        return;
    }
    DWORD dwSchema = 0;
    ar >> dwPeek >> dwSchema;
    m_nSchema = (int)dwSchema;
}

//////////////////////////////////////////////////////////////////////////
// CXTPPropExchangeSection

CXTPPropExchangeSection::CXTPPropExchangeSection(CXTPPropExchange* pExchange)
    : m_pExchange(pExchange)
{
}

CXTPPropExchangeSection::CXTPPropExchangeSection(BOOL bLoading, LPCTSTR lpszSection)
    : m_pExchange(NULL)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp != NULL && pApp->m_pszRegistryKey != NULL && *pApp->m_pszRegistryKey != 0)
    {
        m_pExchange = new CXTPPropExchangeRegistry(bLoading, NULL, lpszSection);
    }
    else
    {
        CXTPPropExchangeIniFile* pIni = new CXTPPropExchangeIniFile(bLoading, NULL, lpszSection);
        if (pApp != NULL && pApp->m_pszProfileName != NULL)
            pIni->SetFileName(pApp->m_pszProfileName);
        m_pExchange = pIni;
    }
}

CXTPPropExchangeSection::~CXTPPropExchangeSection()
{
    if (m_pExchange != NULL)
        m_pExchange->InternalRelease();
    m_pExchange = NULL;
}
