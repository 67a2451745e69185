// Property exchange: the base class, the enumerator, value rules, text forms
// and the typed helpers.
#include "XTPPropExchange.h"
#include <stdio.h>
#include <stdlib.h>
#include <wchar.h>

//////////////////////////////////////////////////////////////////////////
// Value rules

DWORD AFX_CDECL CXTPPropExchange::GetSizeOfVarType(VARTYPE vt)
{
    switch (vt)
    {
    case VT_I2: return 2;
    case VT_I4: return 4;
    case VT_R4: return 4;
    case VT_R8: return 8;
    case VT_CY: return 8;
    case VT_DATE: return 12;
    case VT_BSTR: return sizeof(BSTR);
    case VT_BOOL: return sizeof(BOOL);
    case VT_VARIANT: return sizeof(VARIANT);
    case VT_UI1: return 1;
    case VT_EX_RECT: return 16;
    case VT_EX_SIZE: return 8;
    default: return 0;
    }
}

BOOL AFX_CDECL CXTPPropExchange::CopyPropValue(VARTYPE vtProp, void* pvDest, const void* pvSrc)
{
    if (pvDest == NULL || pvSrc == NULL)
        return FALSE;

    switch (vtProp)
    {
    case VT_I2:
    case VT_I4:
    case VT_R4:
    case VT_R8:
    case VT_CY:
    case VT_BOOL:
    case VT_UI1:
    case VT_EX_RECT:
    case VT_EX_SIZE:
        memcpy(pvDest, pvSrc, GetSizeOfVarType(vtProp));
        return TRUE;

    case VT_DATE:
        *(COleDateTime*)pvDest = *(const COleDateTime*)pvSrc;
        return TRUE;

    case VT_BSTR:
        *(BSTR*)pvDest = ::SysAllocString(*(const BSTR*)pvSrc);
        return TRUE;

    case VT_VARIANT:
        return SUCCEEDED(::VariantCopy((VARIANT*)pvDest, (VARIANT*)pvSrc));

    case VT_LPSTR:
        *(CString*)pvDest = (LPCTSTR)pvSrc;
        return TRUE;

    default:
        return FALSE;
    }
}

namespace
{
BOOL IsSameVariant(const VARIANT* pv1, const VARIANT* pv2)
{
    if (pv1->vt != pv2->vt)
        return FALSE;
    switch (pv1->vt)
    {
    case VT_EMPTY:
    case VT_NULL:
        return TRUE;
    case VT_BSTR:
    {
        const WCHAR* s1 = pv1->bstrVal ? pv1->bstrVal : L"";
        const WCHAR* s2 = pv2->bstrVal ? pv2->bstrVal : L"";
        return wcscmp(s1, s2) == 0;
    }
    case VT_I1: case VT_UI1: return pv1->bVal == pv2->bVal;
    case VT_I2: case VT_UI2: case VT_BOOL: return pv1->iVal == pv2->iVal;
    case VT_I4: case VT_UI4: case VT_INT: case VT_UINT: case VT_ERROR: return pv1->lVal == pv2->lVal;
    case VT_R4: return pv1->fltVal == pv2->fltVal;
    case VT_R8: case VT_DATE: return pv1->dblVal == pv2->dblVal;
    case VT_CY: case VT_I8: case VT_UI8: return pv1->llVal == pv2->llVal;
    default:
        return FALSE;
    }
}
}

BOOL AFX_CDECL CXTPPropExchange::IsSamePropValue(VARTYPE vtProp, const void* pv1, const void* pv2)
{
    if (pv1 == pv2)
        return TRUE;
    if (pv1 == NULL || pv2 == NULL)
        return FALSE;
    if (vtProp < VT_I2 || vtProp > VT_EX_SIZE)
        return FALSE;

    switch (vtProp)
    {
    case VT_I2:
    case VT_I4:
    case VT_R4:
    case VT_R8:
    case VT_CY:
    case VT_BOOL:
    case VT_UI1:
    case VT_EX_RECT:
    case VT_EX_SIZE:
        return memcmp(pv1, pv2, GetSizeOfVarType(vtProp)) == 0;

    case VT_DATE:
        return *(const COleDateTime*)pv1 == *(const COleDateTime*)pv2;

    case VT_BSTR:
    {
        BSTR b1 = *(const BSTR*)pv1, b2 = *(const BSTR*)pv2;
        if (b1 == NULL || b2 == NULL)
            return b1 == b2;
        return wcscmp(b1, b2) == 0;
    }

    case VT_VARIANT:
        return IsSameVariant((const VARIANT*)pv1, (const VARIANT*)pv2);

    case VT_LPSTR:
        return strcmp((LPCTSTR)*(const CString*)pv1, (LPCTSTR)pv2) == 0;

    default:
        return FALSE;
    }
}

//////////////////////////////////////////////////////////////////////////
// Text forms

CString AFX_CDECL CXTPPropExchange::EscapeString(const CString& str)
{
    CString strResult(str);
    strResult.Replace("\\", "\\\\");
    strResult.Replace("\n", "\\n");
    strResult.Replace("\r", "\\r");
    strResult.Replace("\t", "\\t");
    return strResult;
}

CString AFX_CDECL CXTPPropExchange::UnescapeString(const CString& str)
{
    if (str.Find('\\') == -1)
        return str;

    CString strResult(str);
    strResult.Replace("\\\\", "\x01\x01");
    strResult.Replace("\\n", "\n");
    strResult.Replace("\\r", "\r");
    strResult.Replace("\\t", "\t");
    strResult.Replace("\x01\x01", "\\");
    return strResult;
}

CString AFX_CDECL CXTPPropExchange::BlobToText(const BYTE* pData, DWORD nBytes)
{
    CString strText;
    if (pData == NULL || nBytes == 0)
        return strText;

    LPTSTR lpsz = strText.GetBuffer((int)(nBytes * 2 + 1));
    for (DWORD i = 0; i < nBytes; i++)
    {
        lpsz[i * 2] = (char)('A' + (pData[i] & 0x0F));
        lpsz[i * 2 + 1] = (char)('A' + ((pData[i] >> 4) & 0x0F));
    }
    lpsz[nBytes * 2] = 0;
    strText.ReleaseBuffer((int)(nBytes * 2));
    return strText;
}

CString AFX_CDECL CXTPPropExchange::DateTimeToText(const COleDateTime& dt)
{
    CString strText;
    SYSTEMTIME st;
    ZeroMemory(&st, sizeof(st));
    if (!::VariantTimeToSystemTime(dt.m_dt, &st))
        return strText;

    double dWhole = (double)(LONGLONG)dt.m_dt;
    BOOL bWholeDays = dt.m_dt == dWhole;

    if (bWholeDays && dWhole != 0)
        strText.Format("%d-%02d-%02d", st.wYear, st.wDay, st.wMonth);
    else if (dWhole == 0)
        strText.Format("%02d:%02d:%02d", st.wHour, st.wMinute, st.wSecond);
    else
        strText.Format("%d-%02d-%02dT%02d:%02d:%02d", st.wYear, st.wDay, st.wMonth, st.wHour, st.wMinute,
                       st.wSecond);
    return strText;
}

BOOL AFX_CDECL CXTPPropExchange::TextToDateTime(LPCTSTR lpszText, COleDateTime& dt)
{
    if (lpszText == NULL)
        return FALSE;

    unsigned short nYear = 0, nDay = 0, nMonth = 0, nHour = 0, nMinute = 0, nSecond = 0;
    int nFields = sscanf(lpszText, "%hu-%hu-%huT%hu:%hu:%hu", &nYear, &nDay, &nMonth, &nHour, &nMinute, &nSecond);
    if (nFields == 3 || nFields == 5 || nFields == 6)
    {
        SYSTEMTIME st;
        ZeroMemory(&st, sizeof(st));
        st.wYear = nYear;
        st.wMonth = nMonth;
        st.wDay = nDay;
        st.wHour = nHour;
        st.wMinute = nMinute;
        st.wSecond = nSecond;
        double dValue = 0;
        if (!::SystemTimeToVariantTime(&st, &dValue))
            return FALSE;
        dt.m_dt = dValue;
        dt.m_status = COleDateTime::valid;
        return TRUE;
    }

    nHour = nMinute = nSecond = 0;
    nFields = sscanf(lpszText, "%hu:%hu:%hu", &nHour, &nMinute, &nSecond);
    if (nFields == 2 || nFields == 3)
    {
        dt.m_dt = ((nHour * 60.0 + nMinute) * 60.0 + nSecond) / 86400.0;
        dt.m_status = COleDateTime::valid;
        return TRUE;
    }
    return FALSE;
}

namespace
{
CString WideToText(const WCHAR* pwsz)
{
    CString str;
    if (pwsz == NULL || *pwsz == 0)
        return str;
    int nLength = ::WideCharToMultiByte(CP_ACP, 0, pwsz, -1, NULL, 0, NULL, NULL);
    if (nLength <= 0)
        return str;
    LPTSTR lpsz = str.GetBuffer(nLength);
    ::WideCharToMultiByte(CP_ACP, 0, pwsz, -1, lpsz, nLength, NULL, NULL);
    str.ReleaseBuffer();
    return str;
}

BSTR TextToBstr(LPCTSTR lpsz)
{
    int nLength = ::MultiByteToWideChar(CP_ACP, 0, lpsz, -1, NULL, 0);
    if (nLength <= 0)
        return ::SysAllocString(L"");
    BSTR bstr = ::SysAllocStringLen(NULL, nLength - 1);
    if (bstr != NULL)
        ::MultiByteToWideChar(CP_ACP, 0, lpsz, -1, bstr, nLength);
    return bstr;
}

DWORD ZeroExtended(VARTYPE vtProp, const void* pvProp)
{
    switch (vtProp)
    {
    case VT_I2: return *(const WORD*)pvProp;
    case VT_UI1: return *(const BYTE*)pvProp;
    default: return *(const DWORD*)pvProp;
    }
}
}

BOOL AFX_CDECL CXTPPropExchange::PropToText(VARTYPE vtProp, const void* pvProp, CString& strText)
{
    strText.Empty();
    if (pvProp == NULL)
        return FALSE;

    switch (vtProp)
    {
    case VT_I2:
    case VT_UI1:
    case VT_I4:
    case VT_BOOL:
        strText.Format("%i", (int)ZeroExtended(vtProp, pvProp));
        return TRUE;

    case VT_R4:
        strText.Format("%g", (double)*(const float*)pvProp);
        return TRUE;

    case VT_R8:
        strText.Format("%g", *(const double*)pvProp);
        return TRUE;

    case VT_EX_RECT:
    {
        const RECT* prc = (const RECT*)pvProp;
        strText.Format("%i, %i, %i, %i", (int)prc->left, (int)prc->top, (int)prc->right, (int)prc->bottom);
        return TRUE;
    }

    case VT_EX_SIZE:
    {
        const SIZE* psz = (const SIZE*)pvProp;
        strText.Format("%i, %i", (int)psz->cx, (int)psz->cy);
        return TRUE;
    }

    case VT_LPSTR:
        strText = EscapeString(*(const CString*)pvProp);
        return TRUE;

    case VT_DATE:
        strText = DateTimeToText(*(const COleDateTime*)pvProp);
        return TRUE;

    case VT_VARIANT:
    {
        const VARIANT* pVar = (const VARIANT*)pvProp;
        if (pVar->vt == VT_DATE)
        {
            COleDateTime dt(pVar->date);
            strText = DateTimeToText(dt);
            return TRUE;
        }
        VARIANT varText;
        ::VariantInit(&varText);
        if (FAILED(::VariantChangeTypeEx(&varText, (VARIANT*)pVar, 0, 0, VT_BSTR)))
            return FALSE;
        strText = WideToText(varText.bstrVal);
        ::VariantClear(&varText);
        return TRUE;
    }

    default:
        return FALSE;
    }
}

BOOL AFX_CDECL CXTPPropExchange::TextToProp(VARTYPE vtProp, const CString& strText, void* pvProp,
                                            const void* pvDefault)
{
    if (pvProp == NULL)
        return FALSE;

    switch (vtProp)
    {
    case VT_I2:
    case VT_UI1:
    case VT_I4:
    case VT_BOOL:
    {
        DWORD dwValue = (DWORD)atoi(strText);
        memcpy(pvProp, &dwValue, GetSizeOfVarType(vtProp));
        return TRUE;
    }

    case VT_R4:
        *(float*)pvProp = (float)strtod(strText, NULL);
        return TRUE;

    case VT_R8:
        *(double*)pvProp = strtod(strText, NULL);
        return TRUE;

    case VT_EX_RECT:
    {
        int l = 0, t = 0, r = 0, b = 0;
        if (sscanf(strText, "%i, %i, %i, %i", &l, &t, &r, &b) != 4)
            return CopyPropValue(vtProp, pvProp, pvDefault);
        RECT* prc = (RECT*)pvProp;
        prc->left = l;
        prc->top = t;
        prc->right = r;
        prc->bottom = b;
        return TRUE;
    }

    case VT_EX_SIZE:
    {
        int cx = 0, cy = 0;
        if (sscanf(strText, "%i, %i", &cx, &cy) != 2)
            return CopyPropValue(vtProp, pvProp, pvDefault);
        SIZE* psz = (SIZE*)pvProp;
        psz->cx = cx;
        psz->cy = cy;
        return TRUE;
    }

    case VT_LPSTR:
        *(CString*)pvProp = UnescapeString(strText);
        return TRUE;

    case VT_DATE:
    {
        COleDateTime dt;
        if (!TextToDateTime(strText, dt))
            return FALSE;
        *(COleDateTime*)pvProp = dt;
        return TRUE;
    }

    case VT_VARIANT:
    {
        VARIANT* pVar = (VARIANT*)pvProp;
        COleDateTime dt;
        VARIANT varNew;
        ::VariantInit(&varNew);
        if (TextToDateTime(strText, dt))
        {
            varNew.vt = VT_DATE;
            varNew.date = dt.m_dt;
        }
        else
        {
            varNew.vt = VT_BSTR;
            varNew.bstrVal = TextToBstr(strText);
            if (varNew.bstrVal == NULL)
                return FALSE;
        }
        ::VariantClear(pVar);
        *pVar = varNew;
        return TRUE;
    }

    default:
        return FALSE;
    }
}

//////////////////////////////////////////////////////////////////////////
// CXTPPropExchange

CXTPPropExchange::CXTPPropExchange()
    : m_pContext(NULL), m_bLoading(FALSE), m_nSchema(20), m_bChildSection(FALSE), m_bEmptySection(FALSE),
      m_bInitialized(FALSE), m_bUseDefaultOnLoad(TRUE), m_bUseDefaultOnSave(TRUE)
{
}

CXTPPropExchange::~CXTPPropExchange()
{
}

void CXTPPropExchange::InitSection(CXTPPropExchange* pParent)
{
    m_pContext = pParent->m_pContext;
    m_nSchema = pParent->m_nSchema;
    m_bEmptySection = pParent->m_bEmptySection;
    m_bUseDefaultOnLoad = pParent->m_bUseDefaultOnLoad;
    m_bUseDefaultOnSave = pParent->m_bUseDefaultOnSave;
    m_bChildSection = TRUE;
}

BOOL CXTPPropExchange::ExchangeBlob(LPCTSTR pszPropName, BYTE*& pData, DWORD& nBytes)
{
    if (!m_bLoading)
    {
        CString strText = BlobToText(pData, pData != NULL ? nBytes : 0);
        return ExchangeValue(pszPropName, VT_LPSTR, &strText, "");
    }

    CString strText;
    if (!ExchangeValue(pszPropName, VT_LPSTR, &strText, NULL))
        return FALSE;
    if (strText.IsEmpty())
        return TRUE;

    int nLength = strText.GetLength();
    if (nLength % 2 != 0)
        return FALSE;

    DWORD nSize = (DWORD)nLength / 2;
    if (nSize > XTP_PROPEXCHANGE_MAX_BLOCK)
        return FALSE;

    LPCTSTR lpsz = strText;
    for (int i = 0; i < nLength; i++)
    {
        if (lpsz[i] < 'A' || lpsz[i] > 'P')
            return FALSE;
    }

    BYTE* pBlock = pData;
    if (pBlock == NULL)
    {
        pBlock = (BYTE*)malloc(nSize);
        if (pBlock == NULL)
            return FALSE;
        nBytes = nSize;
    }
    else if (nBytes < nSize)
    {
        return FALSE;
    }

    for (DWORD i = 0; i < nSize; i++)
        pBlock[i] = (BYTE)(16 * (lpsz[i * 2 + 1] - 'A') + (lpsz[i * 2] - 'A'));

    pData = pBlock;
    return TRUE;
}

BOOL CXTPPropExchange::ExchangeClass(LPCTSTR pszPropName, CRuntimeClass*& pClass, CRuntimeClass* pDefaultClass)
{
    if (!m_bLoading)
    {
        CString strName = pClass != NULL ? pClass->m_lpszClassName : "";
        return ExchangeValue(pszPropName, VT_LPSTR, &strName,
                             pDefaultClass != NULL ? (const void*)pDefaultClass->m_lpszClassName : NULL);
    }

    CString strName;
    if (!ExchangeValue(pszPropName, VT_LPSTR, &strName, NULL))
    {
        pClass = pDefaultClass;
        return TRUE;
    }

    pClass = CRuntimeClass::FromName(strName);
    return pClass != NULL;
}

BOOL CXTPPropExchange::ExchangeObjectByClass(CObject*& pObject, CRuntimeClass* pDefaultClass)
{
    if (!m_bLoading)
    {
        if (pObject == NULL)
            return FALSE;
        CRuntimeClass* pClass = pObject->GetRuntimeClass();
        return ExchangeClass("Class", pClass, pDefaultClass);
    }

    CRuntimeClass* pClass = NULL;
    ExchangeClass("Class", pClass, pDefaultClass);
    if (pClass == NULL)
        return FALSE;

    CObject* pNew = pClass->CreateObject();
    if (pNew != NULL && pDefaultClass != NULL && !pNew->IsKindOf(pDefaultClass))
    {
        delete pNew;
        pNew = NULL;
    }
    pObject = pNew;
    return pObject != NULL;
}

CArchive* CXTPPropExchange::OpenBlobArchive(LPCTSTR pszPropName)
{
    if (m_bLoading)
    {
        BYTE* pData = NULL;
        DWORD nBytes = 0;
        if (!ExchangeBlob(pszPropName, pData, nBytes) || pData == NULL)
            return NULL;
        if (nBytes == 0)
        {
            free(pData);
            return NULL;
        }

        CMemFile* pFile = new CMemFile(pData, nBytes, 0);
        return new CArchive(pFile, CArchive::load, 4096);
    }

    CMemFile* pFile = new CMemFile(1024);
    return new CArchive(pFile, CArchive::store, 4096);
}

BOOL CXTPPropExchange::CloseBlobArchive(LPCTSTR pszPropName, CArchive* pArchive)
{
    if (pArchive == NULL)
        return FALSE;

    CMemFile* pFile = DYNAMIC_DOWNCAST(CMemFile, pArchive->GetFile());
    if (pFile == NULL)
        return FALSE;

    BYTE* pData = NULL;
    BOOL bStored = TRUE;
    try
    {
        if (!m_bLoading)
        {
            pArchive->Flush();
            DWORD nBytes = (DWORD)pFile->GetLength();
            pData = pFile->Detach();
            // A store that cannot take the block whole says so (and keeps no
            // earlier value under its name).
            bStored = ExchangeBlob(pszPropName, pData, nBytes);
        }
        else
        {
            pData = pFile->Detach();
        }
    }
    catch (CException* e)
    {
        TRACE("CXTPPropExchange: the block \"%s\" cannot be stored\n", pszPropName != NULL ? pszPropName : "");
        e->Delete();
        bStored = FALSE;
    }

    pArchive->Abort();
    pFile->Abort();
    delete pFile;
    free(pData);
    delete pArchive;
    return bStored;
}

void CXTPPropExchange::ClearSection()
{
    m_bEmptySection = TRUE;
}

void CXTPPropExchange::WriteCount(DWORD dwCount)
{
    DWORD dwDefault = 0;
    ExchangeValue("Count", VT_I4, &dwCount, &dwDefault);
}

DWORD CXTPPropExchange::ReadCount()
{
    DWORD dwCount = 0, dwDefault = 0;
    ExchangeValue("Count", VT_I4, &dwCount, &dwDefault);
    return dwCount;
}

BOOL CXTPPropExchange::WriteBlock(LPCTSTR pszPropName, BYTE* pData, DWORD nBytes)
{
    BYTE* p = pData;
    DWORD n = nBytes;
    return ExchangeBlob(pszPropName, p, n);
}

DWORD CXTPPropExchange::ReadBlock(LPCTSTR pszPropName, BYTE* pData, DWORD nBytes)
{
    BYTE* p = pData;
    DWORD n = nBytes;
    return ExchangeBlob(pszPropName, p, n) ? nBytes : 0;
}

BOOL CXTPPropExchange::PrepareStore()
{
    m_bInitialized = TRUE;
    return TRUE;
}

CXTPPropExchangeEnumerator* CXTPPropExchange::CreateEnumerator(LPCTSTR lpszSection)
{
    return new CXTPPropExchangeEnumerator(this, lpszSection);
}

void CXTPPropExchange::ExchangeSchema()
{
    long nSchema = m_nSchema;
    PropExchangeLongWithDefault(this, "Schema", nSchema, 20);
    m_nSchema = (int)nSchema;
}

//////////////////////////////////////////////////////////////////////////
// CXTPPropExchangeEnumerator

CXTPPropExchangeEnumerator::CXTPPropExchangeEnumerator(CXTPPropExchange* pContainer, LPCTSTR lpszSection)
    : m_pContainer(pContainer), m_strSectionName(lpszSection), m_nCount(0)
{
}

CXTPPropExchangeEnumerator::~CXTPPropExchangeEnumerator()
{
}

POSITION CXTPPropExchangeEnumerator::GetPosition(DWORD dwCount, BOOL bCompactMode)
{
    m_nCount = dwCount;
    if (m_pContainer == NULL)
        return NULL;

    if (!bCompactMode)
    {
        DWORD dwDefault = 0;
        m_pContainer->ExchangeValue("Count", VT_I4, &m_nCount, &dwDefault);
    }
    else if (m_pContainer->IsLoading())
    {
        m_nCount = m_pContainer->ReadCount();
    }
    else
    {
        m_pContainer->WriteCount(m_nCount);
    }

    return m_nCount != 0 ? (POSITION)1 : NULL;
}

CXTPPropExchange* CXTPPropExchangeEnumerator::GetNext(POSITION& pos)
{
    if (m_pContainer == NULL || pos == NULL)
        return NULL;

    DWORD nIndex = (DWORD)(DWORD_PTR)pos;
    CString strSection;
    strSection.Format("%s%i", (LPCTSTR)m_strSectionName, (int)(nIndex - 1));

    nIndex++;
    pos = nIndex > m_nCount ? NULL : (POSITION)(DWORD_PTR)nIndex;

    return m_pContainer->OpenSection(strSection);
}

//////////////////////////////////////////////////////////////////////////
// Typed helpers

BOOL AFX_CDECL PropExchangeByte(CXTPPropExchange* pPX, LPCTSTR pszPropName, BYTE& nValue, BYTE nDefault)
{
    return pPX->ExchangeValue(pszPropName, VT_UI1, &nValue, &nDefault);
}

BOOL AFX_CDECL PropExchangeShort(CXTPPropExchange* pPX, LPCTSTR pszPropName, short& sValue, short sDefault)
{
    return pPX->ExchangeValue(pszPropName, VT_I2, &sValue, &sDefault);
}

BOOL AFX_CDECL PropExchangeLong(CXTPPropExchange* pPX, LPCTSTR pszPropName, long& lValue)
{
    return pPX->ExchangeValue(pszPropName, VT_I4, &lValue, NULL);
}

BOOL AFX_CDECL PropExchangeLong(CXTPPropExchange* pPX, LPCTSTR pszPropName, int& nValue)
{
    return pPX->ExchangeValue(pszPropName, VT_I4, &nValue, NULL);
}

BOOL AFX_CDECL PropExchangeLong(CXTPPropExchange* pPX, LPCTSTR pszPropName, UINT& nValue)
{
    return pPX->ExchangeValue(pszPropName, VT_I4, &nValue, NULL);
}

BOOL AFX_CDECL PropExchangeLong(CXTPPropExchange* pPX, LPCTSTR pszPropName, DWORD& nValue)
{
    return pPX->ExchangeValue(pszPropName, VT_I4, &nValue, NULL);
}

BOOL AFX_CDECL PropExchangeLongWithDefault(CXTPPropExchange* pPX, LPCTSTR pszPropName, long& lValue, long lDefault)
{
    return pPX->ExchangeValue(pszPropName, VT_I4, &lValue, &lDefault);
}

BOOL AFX_CDECL PropExchangeLongWithDefault(CXTPPropExchange* pPX, LPCTSTR pszPropName, int& nValue, int nDefault)
{
    return pPX->ExchangeValue(pszPropName, VT_I4, &nValue, &nDefault);
}

BOOL AFX_CDECL PropExchangeLongWithDefault(CXTPPropExchange* pPX, LPCTSTR pszPropName, UINT& nValue, UINT nDefault)
{
    return pPX->ExchangeValue(pszPropName, VT_I4, &nValue, &nDefault);
}

BOOL AFX_CDECL PropExchangeLongWithDefault(CXTPPropExchange* pPX, LPCTSTR pszPropName, DWORD& nValue,
                                           DWORD nDefault)
{
    return pPX->ExchangeValue(pszPropName, VT_I4, &nValue, &nDefault);
}

BOOL AFX_CDECL PropExchangeBool(CXTPPropExchange* pPX, LPCTSTR pszPropName, BOOL& bValue, BOOL bDefault)
{
    return pPX->ExchangeValue(pszPropName, VT_BOOL, &bValue, &bDefault);
}

BOOL AFX_CDECL PropExchangeString(CXTPPropExchange* pPX, LPCTSTR pszPropName, CString& strValue)
{
    return pPX->ExchangeValue(pszPropName, VT_LPSTR, &strValue, NULL);
}

BOOL AFX_CDECL PropExchangeStringWithDefault(CXTPPropExchange* pPX, LPCTSTR pszPropName, CString& strValue,
                                             LPCTSTR lpszDefault)
{
    return pPX->ExchangeValue(pszPropName, VT_LPSTR, &strValue, lpszDefault);
}

BOOL AFX_CDECL PropExchangeSize(CXTPPropExchange* pPX, LPCTSTR pszPropName, SIZE& szValue, SIZE szDefault)
{
    return pPX->ExchangeValue(pszPropName, VT_EX_SIZE, &szValue, &szDefault);
}

BOOL AFX_CDECL PropExchangeRect(CXTPPropExchange* pPX, LPCTSTR pszPropName, RECT& rcValue, RECT rcDefault)
{
    return pPX->ExchangeValue(pszPropName, VT_EX_RECT, &rcValue, &rcDefault);
}

BOOL AFX_CDECL PropExchangeBlob(CXTPPropExchange* pPX, LPCTSTR pszPropName, BYTE*& pData, DWORD& nBytes)
{
    return pPX->ExchangeBlob(pszPropName, pData, nBytes);
}

BOOL AFX_CDECL PropExchangeSerialize(CXTPPropExchange* pPX, LPCTSTR pszPropName, CObject* pObject)
{
    CArchive* pArchive = pPX->OpenBlobArchive(pszPropName);
    if (pArchive == NULL)
        return FALSE;

    try
    {
        pObject->Serialize(*pArchive);
    }
    catch (...)
    {
        // The archive store's archive belongs to the caller; the blob
        // archives are ours and must not leak before the error goes on.
        pPX->CloseBlobArchive(pszPropName, pArchive);
        throw;
    }
    return pPX->CloseBlobArchive(pszPropName, pArchive);
}
