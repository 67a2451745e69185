// CString: storage, assignment, searching and editing.
#include "afx.h"

#include <algorithm>
#include <ctype.h>

CStringNilData _afxStringNil = { { CString::kTag, -1, 0, 0 }, { 0, 0, 0, 0 } };

namespace {

// Largest string we agree to hold; keeps every size computation in range.
const int kMaxLength = INT_MAX / 2 - (int)sizeof(CStringData) - 16;

CStringData* AllocData(int nLength)
{
    if (nLength < 0 || nLength > kMaxLength)
        AfxThrowMemoryException();
    CStringData* pData = static_cast<CStringData*>(malloc(sizeof(CStringData) + nLength + 1));
    if (pData == NULL)
        AfxThrowMemoryException();
    pData->dwTag = CString::kTag;
    pData->nRefs = 1;
    pData->nDataLength = 0;
    pData->nAllocLength = nLength;
    pData->data()[0] = '\0';
    return pData;
}

bool IsSpace(char ch)
{
    return isspace(static_cast<unsigned char>(ch)) != 0;
}

int CompareInt(int n)
{
    return n < 0 ? -1 : (n > 0 ? 1 : 0);
}

} // namespace

int CString::SafeStrLen(LPCSTR lpsz)
{
    if (lpsz == NULL)
        return 0;
    size_t n = strlen(lpsz);
    if (n > (size_t)kMaxLength)
        AfxThrowMemoryException();
    return (int)n;
}

void CString::Release()
{
    if (!IsNil())
        free(GetData());
    m_pchData = _afxStringNil.chNil;
}

void CString::EnsureCapacity(int nLength, bool bExact)
{
    if (nLength < 0 || nLength > kMaxLength)
        AfxThrowMemoryException();
    CStringData* pOld = GetData();
    if (!IsNil() && nLength <= pOld->nAllocLength)
        return;
    int nAlloc = nLength;
    if (!bExact && !IsNil())
    {
        // Grow geometrically so that repeated appends stay linear.
        int nGrow = pOld->nAllocLength / 2;
        if (nGrow < 16)
            nGrow = 16;
        if (nAlloc < pOld->nAllocLength + nGrow && pOld->nAllocLength + nGrow <= kMaxLength)
            nAlloc = pOld->nAllocLength + nGrow;
    }
    if (IsNil())
    {
        CStringData* pData = AllocData(nAlloc);
        m_pchData = pData->data();
        return;
    }
    CStringData* pData = static_cast<CStringData*>(realloc(pOld, sizeof(CStringData) + nAlloc + 1));
    if (pData == NULL)
        AfxThrowMemoryException();
    pData->nAllocLength = nAlloc;
    m_pchData = pData->data();
}

void CString::AssignCopy(LPCSTR lpch, int nLength)
{
    if (nLength <= 0 || lpch == NULL)
    {
        Empty();
        return;
    }
    // The source may lie inside this string's own buffer.
    if (!IsNil() && lpch >= m_pchData && lpch <= m_pchData + GetLength())
    {
        memmove(m_pchData, lpch, nLength);
        m_pchData[nLength] = '\0';
        GetData()->nDataLength = nLength;
        return;
    }
    EnsureCapacity(nLength, true);
    memcpy(m_pchData, lpch, nLength);
    m_pchData[nLength] = '\0';
    GetData()->nDataLength = nLength;
}

void CString::ConcatInPlace(LPCSTR lpch, int nLength)
{
    if (nLength <= 0 || lpch == NULL)
        return;
    int nOld = GetLength();
    if (nLength > kMaxLength - nOld)
        AfxThrowMemoryException();
    // Keep an appended piece of this very string valid across a reallocation.
    if (!IsNil() && lpch >= m_pchData && lpch <= m_pchData + nOld)
    {
        CString copy(lpch, nLength);
        ConcatInPlace(copy.m_pchData, nLength);
        return;
    }
    EnsureCapacity(nOld + nLength, false);
    memcpy(m_pchData + nOld, lpch, nLength);
    m_pchData[nOld + nLength] = '\0';
    GetData()->nDataLength = nOld + nLength;
}

// Construction

CString::CString(const CString& stringSrc) : m_pchData(_afxStringNil.chNil)
{
    AssignCopy(stringSrc.m_pchData, stringSrc.GetLength());
}

CString::CString(CString&& stringSrc) noexcept : m_pchData(stringSrc.m_pchData)
{
    stringSrc.m_pchData = _afxStringNil.chNil;
}

CString::CString(char ch, int nRepeat) : m_pchData(_afxStringNil.chNil)
{
    if (nRepeat > 0)
    {
        EnsureCapacity(nRepeat, true);
        memset(m_pchData, ch, nRepeat);
        m_pchData[nRepeat] = '\0';
        GetData()->nDataLength = nRepeat;
    }
}

CString::CString(LPCSTR lpsz) : m_pchData(_afxStringNil.chNil)
{
    if (lpsz != NULL && IS_INTRESOURCE(lpsz))
        LoadString(LOWORD(reinterpret_cast<UINT_PTR>(lpsz)));
    else
        AssignCopy(lpsz, SafeStrLen(lpsz));
}

CString::CString(LPCSTR lpch, int nLength) : m_pchData(_afxStringNil.chNil)
{
    if (lpch == NULL && nLength > 0)
        AfxThrowInvalidArgException();
    AssignCopy(lpch, nLength);
}

CString::CString(const unsigned char* psz) : m_pchData(_afxStringNil.chNil)
{
    *this = reinterpret_cast<LPCSTR>(psz);
}

CString::CString(LPCWSTR lpsz) : m_pchData(_afxStringNil.chNil)
{
    *this = lpsz;
}

CString::CString(LPCWSTR lpch, int nLength) : m_pchData(_afxStringNil.chNil)
{
    if (lpch == NULL || nLength <= 0)
        return;
    int nBytes = ::WideCharToMultiByte(CP_ACP, 0, lpch, nLength, NULL, 0, NULL, NULL);
    if (nBytes <= 0)
        return;
    EnsureCapacity(nBytes, true);
    nBytes = ::WideCharToMultiByte(CP_ACP, 0, lpch, nLength, m_pchData, nBytes, NULL, NULL);
    if (nBytes < 0)
        nBytes = 0;
    m_pchData[nBytes] = '\0';
    GetData()->nDataLength = nBytes;
}

CString::~CString()
{
    if (!IsNil())
        free(GetData());
}

void CString::Empty()
{
    Release();
}

// Element access

char CString::GetAt(int nIndex) const
{
    if (nIndex < 0 || nIndex > GetLength())
        AfxThrowInvalidArgException();
    return m_pchData[nIndex];
}

void CString::SetAt(int nIndex, char ch)
{
    if (nIndex < 0 || nIndex >= GetLength())
        AfxThrowInvalidArgException();
    m_pchData[nIndex] = ch;
}

// Assignment

CString& CString::operator=(const CString& stringSrc)
{
    if (this != &stringSrc)
        AssignCopy(stringSrc.m_pchData, stringSrc.GetLength());
    return *this;
}

CString& CString::operator=(CString&& stringSrc) noexcept
{
    if (this != &stringSrc)
    {
        if (!IsNil())
            free(GetData());
        m_pchData = stringSrc.m_pchData;
        stringSrc.m_pchData = _afxStringNil.chNil;
    }
    return *this;
}

CString& CString::operator=(char ch)
{
    AssignCopy(&ch, 1);
    return *this;
}

CString& CString::operator=(LPCSTR lpsz)
{
    AssignCopy(lpsz, SafeStrLen(lpsz));
    return *this;
}

CString& CString::operator=(const unsigned char* psz)
{
    return *this = reinterpret_cast<LPCSTR>(psz);
}

CString& CString::operator=(LPCWSTR lpsz)
{
    if (lpsz == NULL || *lpsz == 0)
    {
        Empty();
        return *this;
    }
    CString converted(lpsz, (int)wcslen(lpsz));
    *this = static_cast<CString&&>(converted);
    return *this;
}

void CString::SetString(LPCSTR lpsz)
{
    *this = lpsz;
}

void CString::SetString(LPCSTR lpch, int nLength)
{
    if (lpch == NULL && nLength > 0)
        AfxThrowInvalidArgException();
    AssignCopy(lpch, nLength);
}

CString& CString::operator+=(const CString& string)
{
    ConcatInPlace(string.m_pchData, string.GetLength());
    return *this;
}

CString& CString::operator+=(char ch)
{
    ConcatInPlace(&ch, 1);
    return *this;
}

CString& CString::operator+=(LPCSTR lpsz)
{
    ConcatInPlace(lpsz, SafeStrLen(lpsz));
    return *this;
}

CString& CString::operator+=(LPCWSTR lpsz)
{
    CString converted(lpsz);
    return *this += converted;
}

void CString::Append(LPCSTR lpsz)
{
    ConcatInPlace(lpsz, SafeStrLen(lpsz));
}

void CString::Append(LPCSTR lpch, int nLength)
{
    if (lpch == NULL && nLength > 0)
        AfxThrowInvalidArgException();
    ConcatInPlace(lpch, nLength);
}

void CString::Append(const CString& str)
{
    ConcatInPlace(str.m_pchData, str.GetLength());
}

void CString::AppendChar(char ch)
{
    ConcatInPlace(&ch, 1);
}

CString AFXAPI operator+(const CString& string1, const CString& string2)
{
    CString s;
    s.Preallocate(string1.GetLength() + string2.GetLength());
    s += string1;
    s += string2;
    return s;
}

CString AFXAPI operator+(const CString& string, char ch)
{
    CString s(string);
    s += ch;
    return s;
}

CString AFXAPI operator+(char ch, const CString& string)
{
    CString s(ch, 1);
    s += string;
    return s;
}

CString AFXAPI operator+(const CString& string, LPCSTR lpsz)
{
    CString s(string);
    s += lpsz;
    return s;
}

CString AFXAPI operator+(LPCSTR lpsz, const CString& string)
{
    CString s(lpsz);
    s += string;
    return s;
}

// Comparison

int CString::Compare(LPCSTR lpsz) const
{
    return CompareInt(strcmp(m_pchData, lpsz != NULL ? lpsz : ""));
}

int CString::CompareNoCase(LPCSTR lpsz) const
{
    return CompareInt(_stricmp(m_pchData, lpsz != NULL ? lpsz : ""));
}

int CString::Collate(LPCSTR lpsz) const
{
    return CompareInt(strcoll(m_pchData, lpsz != NULL ? lpsz : ""));
}

int CString::CollateNoCase(LPCSTR lpsz) const
{
    return CompareInt(_stricoll(m_pchData, lpsz != NULL ? lpsz : ""));
}

bool AFXAPI operator==(const CString& s1, const CString& s2)
{
    return s1.GetLength() == s2.GetLength() && s1.Compare(s2) == 0;
}
bool AFXAPI operator==(const CString& s1, LPCSTR s2) { return s1.Compare(s2) == 0; }
bool AFXAPI operator==(LPCSTR s1, const CString& s2) { return s2.Compare(s1) == 0; }
bool AFXAPI operator!=(const CString& s1, const CString& s2) { return !(s1 == s2); }
bool AFXAPI operator!=(const CString& s1, LPCSTR s2) { return s1.Compare(s2) != 0; }
bool AFXAPI operator!=(LPCSTR s1, const CString& s2) { return s2.Compare(s1) != 0; }
bool AFXAPI operator<(const CString& s1, const CString& s2) { return s1.Compare(s2) < 0; }
bool AFXAPI operator<(const CString& s1, LPCSTR s2) { return s1.Compare(s2) < 0; }
bool AFXAPI operator<(LPCSTR s1, const CString& s2) { return s2.Compare(s1) > 0; }
bool AFXAPI operator>(const CString& s1, const CString& s2) { return s1.Compare(s2) > 0; }
bool AFXAPI operator>(const CString& s1, LPCSTR s2) { return s1.Compare(s2) > 0; }
bool AFXAPI operator>(LPCSTR s1, const CString& s2) { return s2.Compare(s1) < 0; }
bool AFXAPI operator<=(const CString& s1, const CString& s2) { return s1.Compare(s2) <= 0; }
bool AFXAPI operator<=(const CString& s1, LPCSTR s2) { return s1.Compare(s2) <= 0; }
bool AFXAPI operator<=(LPCSTR s1, const CString& s2) { return s2.Compare(s1) >= 0; }
bool AFXAPI operator>=(const CString& s1, const CString& s2) { return s1.Compare(s2) >= 0; }
bool AFXAPI operator>=(const CString& s1, LPCSTR s2) { return s1.Compare(s2) >= 0; }
bool AFXAPI operator>=(LPCSTR s1, const CString& s2) { return s2.Compare(s1) <= 0; }

// Extraction

CString CString::Mid(int nFirst) const
{
    return Mid(nFirst, GetLength());
}

CString CString::Mid(int nFirst, int nCount) const
{
    int nLength = GetLength();
    if (nFirst < 0)
        nFirst = 0;
    if (nCount < 0)
        nCount = 0;
    if (nFirst > nLength)
        nFirst = nLength;
    if (nCount > nLength - nFirst)
        nCount = nLength - nFirst;
    if (nFirst == 0 && nCount == nLength)
        return *this;
    return CString(m_pchData + nFirst, nCount);
}

CString CString::Left(int nCount) const
{
    return Mid(0, nCount);
}

CString CString::Right(int nCount) const
{
    int nLength = GetLength();
    if (nCount < 0)
        nCount = 0;
    if (nCount > nLength)
        nCount = nLength;
    return Mid(nLength - nCount, nCount);
}

CString CString::SpanIncluding(LPCSTR lpszCharSet) const
{
    if (lpszCharSet == NULL)
        return CString();
    return Left((int)strspn(m_pchData, lpszCharSet));
}

CString CString::SpanExcluding(LPCSTR lpszCharSet) const
{
    if (lpszCharSet == NULL)
        return *this;
    return Left((int)strcspn(m_pchData, lpszCharSet));
}

CString CString::Tokenize(LPCSTR pszTokens, int& iStart) const
{
    int nLength = GetLength();
    if (iStart < 0 || iStart > nLength)
    {
        iStart = -1;
        return CString();
    }
    if (pszTokens == NULL || *pszTokens == '\0')
    {
        // No delimiters: the rest is one token, then the end.
        if (iStart < nLength)
        {
            CString result = Mid(iStart);
            iStart = nLength;
            return result;
        }
        iStart = -1;
        return CString();
    }
    LPCSTR pszPlace = m_pchData + iStart;
    int nIncluding = (int)strspn(pszPlace, pszTokens);
    if (iStart + nIncluding < nLength)
    {
        pszPlace += nIncluding;
        int nExcluding = (int)strcspn(pszPlace, pszTokens);
        int iFrom = iStart + nIncluding;
        iStart = iFrom + nExcluding + 1;
        if (iStart > nLength)
            iStart = nLength;
        return Mid(iFrom, nExcluding);
    }
    iStart = -1;
    return CString();
}

// Changes

CString& CString::MakeUpper()
{
    if (!IsEmpty())
        ::CharUpperBuffA(m_pchData, GetLength());
    return *this;
}

CString& CString::MakeLower()
{
    if (!IsEmpty())
        ::CharLowerBuffA(m_pchData, GetLength());
    return *this;
}

CString& CString::MakeReverse()
{
    if (!IsEmpty())
        std::reverse(m_pchData, m_pchData + GetLength());
    return *this;
}

int CString::Replace(char chOld, char chNew)
{
    int nCount = 0;
    if (chOld == chNew)
        return 0;
    for (int i = 0; i < GetLength(); ++i)
    {
        if (m_pchData[i] == chOld)
        {
            m_pchData[i] = chNew;
            ++nCount;
        }
    }
    return nCount;
}

int CString::Replace(LPCSTR lpszOld, LPCSTR lpszNew)
{
    int nOldLen = SafeStrLen(lpszOld);
    if (nOldLen == 0)
        return 0;
    int nNewLen = SafeStrLen(lpszNew);
    int nCount = 0;
    CString result;
    LPCSTR pStart = m_pchData;
    LPCSTR pEnd = m_pchData + GetLength();
    LPCSTR p = pStart;
    while (p < pEnd)
    {
        LPCSTR pFound = strstr(p, lpszOld);
        if (pFound == NULL)
            break;
        result.Append(p, (int)(pFound - p));
        result.Append(lpszNew, nNewLen);
        p = pFound + nOldLen;
        ++nCount;
    }
    if (nCount == 0)
        return 0;
    result.Append(p, (int)(pEnd - p));
    *this = static_cast<CString&&>(result);
    return nCount;
}

int CString::Remove(char chRemove)
{
    int nLength = GetLength();
    char* pDest = m_pchData;
    for (int i = 0; i < nLength; ++i)
    {
        if (m_pchData[i] != chRemove)
            *pDest++ = m_pchData[i];
    }
    int nRemoved = (int)(m_pchData + nLength - pDest);
    if (nRemoved > 0)
    {
        *pDest = '\0';
        GetData()->nDataLength = nLength - nRemoved;
    }
    return nRemoved;
}

int CString::Insert(int nIndex, char ch)
{
    char sz[2] = { ch, 0 };
    if (ch == '\0')
        return GetLength();
    return Insert(nIndex, sz);
}

int CString::Insert(int nIndex, LPCSTR pstr)
{
    int nInsert = SafeStrLen(pstr);
    int nLength = GetLength();
    if (nIndex < 0)
        nIndex = 0;
    if (nIndex > nLength)
        nIndex = nLength;
    if (nInsert > 0)
    {
        CString result;
        result.Preallocate(nLength + nInsert);
        result.Append(m_pchData, nIndex);
        result.Append(pstr, nInsert);
        result.Append(m_pchData + nIndex, nLength - nIndex);
        *this = static_cast<CString&&>(result);
    }
    return GetLength();
}

int CString::Delete(int nIndex, int nCount)
{
    int nLength = GetLength();
    if (nIndex < 0)
        nIndex = 0;
    if (nCount > 0 && nIndex < nLength)
    {
        if (nCount > nLength - nIndex)
            nCount = nLength - nIndex;
        memmove(m_pchData + nIndex, m_pchData + nIndex + nCount, nLength - nIndex - nCount + 1);
        GetData()->nDataLength = nLength - nCount;
    }
    return GetLength();
}

void CString::Truncate(int nNewLength)
{
    if (nNewLength < 0)
        AfxThrowInvalidArgException();
    if (nNewLength < GetLength())
    {
        m_pchData[nNewLength] = '\0';
        GetData()->nDataLength = nNewLength;
    }
}

CString& CString::TrimRight()
{
    int n = GetLength();
    while (n > 0 && IsSpace(m_pchData[n - 1]))
        --n;
    Truncate(n);
    return *this;
}

CString& CString::TrimRight(char chTarget)
{
    int n = GetLength();
    while (n > 0 && m_pchData[n - 1] == chTarget)
        --n;
    Truncate(n);
    return *this;
}

CString& CString::TrimRight(LPCSTR lpszTargets)
{
    if (lpszTargets == NULL || *lpszTargets == '\0')
        return *this;
    int n = GetLength();
    while (n > 0 && strchr(lpszTargets, m_pchData[n - 1]) != NULL)
        --n;
    Truncate(n);
    return *this;
}

CString& CString::TrimLeft()
{
    int n = 0;
    while (n < GetLength() && IsSpace(m_pchData[n]))
        ++n;
    Delete(0, n);
    return *this;
}

CString& CString::TrimLeft(char chTarget)
{
    int n = 0;
    while (n < GetLength() && m_pchData[n] == chTarget)
        ++n;
    Delete(0, n);
    return *this;
}

CString& CString::TrimLeft(LPCSTR lpszTargets)
{
    if (lpszTargets == NULL || *lpszTargets == '\0')
        return *this;
    int n = 0;
    while (n < GetLength() && strchr(lpszTargets, m_pchData[n]) != NULL)
        ++n;
    Delete(0, n);
    return *this;
}

CString& CString::Trim()
{
    return TrimRight().TrimLeft();
}

CString& CString::Trim(char chTarget)
{
    return TrimRight(chTarget).TrimLeft(chTarget);
}

CString& CString::Trim(LPCSTR lpszTargets)
{
    return TrimRight(lpszTargets).TrimLeft(lpszTargets);
}

// Searching

int CString::Find(char ch) const
{
    return Find(ch, 0);
}

int CString::Find(char ch, int nStart) const
{
    int nLength = GetLength();
    if (ch == '\0' || nStart >= nLength)
        return -1;
    if (nStart < 0)
        nStart = 0;
    const void* p = memchr(m_pchData + nStart, ch, nLength - nStart);
    return p == NULL ? -1 : (int)(static_cast<LPCSTR>(p) - m_pchData);
}

int CString::Find(LPCSTR lpszSub) const
{
    return Find(lpszSub, 0);
}

int CString::Find(LPCSTR lpszSub, int nStart) const
{
    if (lpszSub == NULL)
        return -1;
    if (nStart < 0)
        nStart = 0;
    if (nStart > GetLength())
        return -1;
    LPCSTR p = strstr(m_pchData + nStart, lpszSub);
    return p == NULL ? -1 : (int)(p - m_pchData);
}

int CString::ReverseFind(char ch) const
{
    if (ch == '\0')
        return -1;
    for (int i = GetLength() - 1; i >= 0; --i)
    {
        if (m_pchData[i] == ch)
            return i;
    }
    return -1;
}

int CString::FindOneOf(LPCSTR lpszCharSet) const
{
    if (lpszCharSet == NULL || *lpszCharSet == '\0')
        return -1;
    LPCSTR p = strpbrk(m_pchData, lpszCharSet);
    return p == NULL ? -1 : (int)(p - m_pchData);
}

// Buffer access

LPSTR CString::GetBuffer(int nMinBufLength)
{
    if (nMinBufLength < 0)
        AfxThrowInvalidArgException();
    int nLength = GetLength();
    EnsureCapacity(nMinBufLength > nLength ? nMinBufLength : nLength, true);
    return m_pchData;
}

LPSTR CString::GetBuffer()
{
    return GetBuffer(0);
}

void CString::ReleaseBuffer(int nNewLength)
{
    if (IsNil())
        return;
    int nAlloc = GetData()->nAllocLength;
    if (nNewLength < 0)
    {
        // Length up to the first 0 written by the caller, within the buffer.
        const void* pEnd = memchr(m_pchData, 0, nAlloc + 1);
        nNewLength = pEnd == NULL ? nAlloc : (int)(static_cast<LPCSTR>(pEnd) - m_pchData);
    }
    if (nNewLength > nAlloc)
        nNewLength = nAlloc;
    m_pchData[nNewLength] = '\0';
    GetData()->nDataLength = nNewLength;
}

void CString::ReleaseBufferSetLength(int nNewLength)
{
    if (nNewLength < 0)
        AfxThrowInvalidArgException();
    ReleaseBuffer(nNewLength);
}

LPSTR CString::GetBufferSetLength(int nNewLength)
{
    if (nNewLength < 0)
        AfxThrowInvalidArgException();
    GetBuffer(nNewLength);
    if (!IsNil())
    {
        if (nNewLength > GetLength())
            memset(m_pchData + GetLength(), 0, nNewLength - GetLength());
        m_pchData[nNewLength] = '\0';
        GetData()->nDataLength = nNewLength;
    }
    return m_pchData;
}

void CString::FreeExtra()
{
    if (IsNil())
        return;
    int nLength = GetLength();
    if (nLength == 0)
    {
        Release();
        return;
    }
    if (GetData()->nAllocLength > nLength)
    {
        CStringData* pData = static_cast<CStringData*>(realloc(GetData(), sizeof(CStringData) + nLength + 1));
        if (pData != NULL)
        {
            pData->nAllocLength = nLength;
            m_pchData = pData->data();
        }
    }
}

void CString::Preallocate(int nLength)
{
    if (nLength < 0)
        AfxThrowInvalidArgException();
    if (nLength > 0)
        EnsureCapacity(nLength, true);
}

LPSTR CString::LockBuffer()
{
    return GetBuffer(0);
}

void CString::UnlockBuffer()
{
}

// OLE strings

BSTR CString::AllocSysString() const
{
    int nLen = GetLength();
    int nWide = nLen == 0 ? 0 : ::MultiByteToWideChar(CP_ACP, 0, m_pchData, nLen, NULL, 0);
    BSTR bstr = ::SysAllocStringLen(NULL, nWide);
    if (bstr == NULL)
        AfxThrowMemoryException();
    if (nWide > 0)
        ::MultiByteToWideChar(CP_ACP, 0, m_pchData, nLen, bstr, nWide);
    bstr[nWide] = 0;
    return bstr;
}

BSTR CString::SetSysString(BSTR* pbstr) const
{
    if (pbstr == NULL)
        AfxThrowInvalidArgException();
    BSTR bstrNew = AllocSysString();
    if (*pbstr != NULL)
        ::SysFreeString(*pbstr);
    *pbstr = bstrNew;
    return bstrNew;
}

// Fields

BOOL AFXAPI AfxExtractSubString(CString& rString, LPCTSTR lpszFullString, int iSubString, TCHAR chSep)
{
    rString.Empty();
    if (lpszFullString == NULL || iSubString < 0)
        return FALSE;
    if (chSep == '\0' && iSubString > 0)
        return FALSE;   // the whole text is the only field
    while (iSubString--)
    {
        lpszFullString = strchr(lpszFullString, chSep);
        if (lpszFullString == NULL)
            return FALSE;
        ++lpszFullString;   // skip the separator
    }
    LPCTSTR lpchEnd = strchr(lpszFullString, chSep);
    int nLen = lpchEnd == NULL ? (int)strlen(lpszFullString) : (int)(lpchEnd - lpszFullString);
    rString.SetString(lpszFullString, nLen);
    return TRUE;
}
