// CArchive: buffered binary serialization, class references and object maps.
#include "afx.h"

#include <memory>
#include <unordered_map>
#include <vector>

namespace {

const WORD wNullTag = 0;             // a NULL object
const WORD wNewClassTag = 0xFFFF;    // a class record follows
const WORD wClassTag = 0x8000;       // 0x8000 | index: a class seen before
const WORD wBigObjectTag = 0x7FFF;   // a DWORD tag follows
const DWORD dwBigClassTag = 0x80000000;
const DWORD nMaxMapCount = 0x7FFFFFFE;

const UINT nMaxClassName = 255;

} // namespace

struct CArchive::MapState
{
    struct LoadEntry
    {
        void* p;
        bool bClass;
        UINT nSchema;
    };

    MapState() : nMapCount(1)
    {
        LoadEntry nullEntry = { NULL, false, 0 };
        loadArray.push_back(nullEntry);   // index 0 is the NULL object
    }

    std::unordered_map<const void*, DWORD> storeMap;
    std::vector<LoadEntry> loadArray;
    DWORD nMapCount;
};

CArchive::CArchive(CFile* pFile, UINT nMode, int nBufSize, void* lpBuf)
    : m_pDocument(NULL), m_lpBufCur(NULL), m_lpBufMax(NULL), m_lpBufStart(NULL), m_nMode(nMode),
      m_nBufSize(nBufSize), m_bUserBuf(lpBuf != NULL), m_pFile(pFile), m_nObjectSchema((UINT)-1), m_nObjectDepth(0), m_pMap(NULL)
{
    if (pFile == NULL)
        AfxThrowInvalidArgException();
    if (m_nBufSize < 128)
    {
        if (lpBuf != NULL)
            AfxThrowInvalidArgException();
        m_nBufSize = 128;
    }
    try
    {
        m_strFileName = pFile->GetFilePath();
    }
    catch (CException* e)
    {
        e->Delete();
    }
    if (lpBuf == NULL)
        m_lpBufStart = new BYTE[m_nBufSize];
    else
        m_lpBufStart = static_cast<BYTE*>(lpBuf);
    m_lpBufCur = m_lpBufStart;
    m_lpBufMax = IsLoading() ? m_lpBufStart : m_lpBufStart + m_nBufSize;
}

CArchive::~CArchive()
{
    if (m_pFile != NULL && !(m_nMode & bNoFlushOnDelete))
    {
        try
        {
            Close();
        }
        catch (CException* e)
        {
            TRACE_EXCEPTION("Closing an archive", e);
            e->Delete();
        }
        catch (...)
        {
            TRACE_EXCEPTION("Closing an archive", NULL);
        }
    }
    if (!m_bUserBuf)
        delete[] m_lpBufStart;
    delete m_pMap;
}

void CArchive::CheckStoring() const
{
    if (IsLoading())
        AfxThrowArchiveException(CArchiveException::readOnly, m_strFileName);
}

void CArchive::CheckLoading() const
{
    if (IsStoring())
        AfxThrowArchiveException(CArchiveException::writeOnly, m_strFileName);
}

UINT CArchive::GetObjectSchema()
{
    UINT nResult = m_nObjectSchema;
    m_nObjectSchema = (UINT)-1;
    return nResult;
}

// Buffer management

void CArchive::FillBuffer(UINT nBytesNeeded)
{
    CheckLoading();
    if (m_pFile == NULL)
        return;
    if (nBytesNeeded > (UINT)m_nBufSize)
        nBytesNeeded = (UINT)m_nBufSize;
    UINT nUnused = (UINT)(m_lpBufMax - m_lpBufCur);
    if (nUnused >= nBytesNeeded)
        return;
    // Keep the unread bytes, then read as much as fits.
    if (nUnused > 0 && m_lpBufCur != m_lpBufStart)
        memmove(m_lpBufStart, m_lpBufCur, nUnused);
    m_lpBufCur = m_lpBufStart;
    m_lpBufMax = m_lpBufStart + nUnused;
    BYTE* lpBufEnd = m_lpBufStart + m_nBufSize;
    while ((UINT)(m_lpBufMax - m_lpBufStart) < nBytesNeeded)
    {
        UINT nRead = m_pFile->Read(m_lpBufMax, (UINT)(lpBufEnd - m_lpBufMax));
        if (nRead == 0)
            break;
        m_lpBufMax += nRead;
    }
}

BOOL CArchive::Peek(void* lpBuf, UINT nCount)
{
    CheckLoading();
    if (nCount > (UINT)m_nBufSize)
        return FALSE;
    FillBuffer(nCount);
    if ((UINT)(m_lpBufMax - m_lpBufCur) < nCount)
        return FALSE;
    if (nCount > 0)
        memcpy(lpBuf, m_lpBufCur, nCount);
    return TRUE;
}

BOOL CArchive::GetBytesLeft(ULONGLONG& nLeft) const
{
    nLeft = 0;
    if (IsStoring() || m_pFile == NULL)
        return FALSE;
    ULONGLONG nLength, nPosition;
    try
    {
        nLength = m_pFile->GetLength();
        nPosition = m_pFile->GetPosition();
    }
    catch (CException* e)
    {
        e->Delete();
        return FALSE;
    }
    nLeft = (ULONGLONG)(m_lpBufMax - m_lpBufCur) + (nLength > nPosition ? nLength - nPosition : 0);
    return TRUE;
}

void CArchive::CheckCount(ULONGLONG nCount, ULONGLONG nElementSize) const
{
    if (nElementSize != 0 && nCount > ~(ULONGLONG)0 / nElementSize)
        AfxThrowArchiveException(CArchiveException::endOfFile, m_strFileName);
    ULONGLONG nBytes = nCount * nElementSize;
    if (nBytes <= (ULONGLONG)(m_lpBufMax - m_lpBufCur))
        return;
    ULONGLONG nLeft;
    if (GetBytesLeft(nLeft) && nBytes > nLeft)
        AfxThrowArchiveException(CArchiveException::endOfFile, m_strFileName);
}

ULONGLONG CArchive::GetLoadStep(ULONGLONG nDone, ULONGLONG nRemaining, ULONGLONG nElementSize) const
{
    if (nElementSize == 0)
        nElementSize = 1;
    // What is already in the buffer needs no question to the file.
    ULONGLONG nLeft = (ULONGLONG)(m_lpBufMax - m_lpBufCur);
    if (nRemaining <= nLeft / nElementSize || GetBytesLeft(nLeft))
        return nRemaining;
    // As much again as has arrived, at least 64 KB: memory stays within
    // twice what the data really held.
    const ULONGLONG nMinStepBytes = 64 * 1024;
    ULONGLONG nDoneBytes = nDone * nElementSize;
    ULONGLONG nStep = (nDoneBytes > nMinStepBytes ? nDoneBytes : nMinStepBytes) / nElementSize;
    if (nStep == 0)
        nStep = 1;
    return nStep < nRemaining ? nStep : nRemaining;
}

BYTE* CArchive::ReadNewBuffer(ULONGLONG nBytes)
{
    CheckLoading();
    CheckCount(nBytes, 1);
    if (nBytes == 0)
        return NULL;
    if (nBytes > (ULONGLONG)INT_MAX)
        AfxThrowArchiveException(CArchiveException::endOfFile, m_strFileName);
    std::unique_ptr<BYTE[]> buffer;
    ULONGLONG nDone = 0;
    while (nDone < nBytes)
    {
        ULONGLONG nStep = GetLoadStep(nDone, nBytes - nDone, 1);
        std::unique_ptr<BYTE[]> grown(new BYTE[(size_t)(nDone + nStep)]);
        if (nDone > 0)
            memcpy(grown.get(), buffer.get(), (size_t)nDone);
        buffer.swap(grown);
        EnsureRead(buffer.get() + nDone, (UINT)nStep);
        nDone += nStep;
    }
    return buffer.release();
}

UINT CArchive::Read(void* lpBuf, UINT nMax)
{
    CheckLoading();
    if (nMax == 0)
        return 0;
    if (lpBuf == NULL)
        AfxThrowInvalidArgException();
    BYTE* lpDest = static_cast<BYTE*>(lpBuf);
    UINT nRead = 0;
    while (nMax > 0)
    {
        UINT nAvail = (UINT)(m_lpBufMax - m_lpBufCur);
        if (nAvail == 0)
        {
            if (m_pFile == NULL)
                break;
            if (nMax >= (UINT)m_nBufSize)
            {
                // Large blocks go straight from the file.
                UINT n = m_pFile->Read(lpDest, nMax);
                if (n == 0)
                    break;
                lpDest += n;
                nRead += n;
                nMax -= n;
                continue;
            }
            FillBuffer(nMax);
            nAvail = (UINT)(m_lpBufMax - m_lpBufCur);
            if (nAvail == 0)
                break;
        }
        UINT nTemp = nAvail < nMax ? nAvail : nMax;
        memcpy(lpDest, m_lpBufCur, nTemp);
        m_lpBufCur += nTemp;
        lpDest += nTemp;
        nRead += nTemp;
        nMax -= nTemp;
    }
    return nRead;
}

void CArchive::EnsureRead(void* lpBuf, UINT nCount)
{
    if (Read(lpBuf, nCount) != nCount)
        AfxThrowArchiveException(CArchiveException::endOfFile, m_strFileName);
}

void CArchive::Write(const void* lpBuf, UINT nMax)
{
    CheckStoring();
    if (nMax == 0)
        return;
    if (lpBuf == NULL || m_pFile == NULL)
        AfxThrowInvalidArgException();
    const BYTE* lpSrc = static_cast<const BYTE*>(lpBuf);
    UINT nTemp = (UINT)(m_lpBufMax - m_lpBufCur);
    if (nTemp > nMax)
        nTemp = nMax;
    memcpy(m_lpBufCur, lpSrc, nTemp);
    m_lpBufCur += nTemp;
    lpSrc += nTemp;
    nMax -= nTemp;
    if (nMax > 0)
    {
        Flush();
        if (nMax >= (UINT)m_nBufSize)
        {
            m_pFile->Write(lpSrc, nMax);
        }
        else
        {
            memcpy(m_lpBufCur, lpSrc, nMax);
            m_lpBufCur += nMax;
        }
    }
}

void CArchive::Flush()
{
    if (m_pFile == NULL)
        return;
    if (IsLoading())
    {
        // Give the unread bytes back to the file.
        if (m_lpBufMax != m_lpBufCur)
            m_pFile->Seek(-(LONGLONG)(m_lpBufMax - m_lpBufCur), CFile::current);
        m_lpBufCur = m_lpBufMax;
    }
    else
    {
        if (m_lpBufCur != m_lpBufStart)
        {
            UINT nBytes = (UINT)(m_lpBufCur - m_lpBufStart);
            m_lpBufCur = m_lpBufStart;
            m_pFile->Write(m_lpBufStart, nBytes);
        }
    }
}

void CArchive::Close()
{
    if (m_pFile == NULL)
        return;
    if (IsLoading())
    {
        try
        {
            Flush();
        }
        catch (CException* e)
        {
            e->Delete();   // a file that cannot seek back keeps its position
        }
        m_pFile = NULL;
        return;
    }
    try
    {
        Flush();
    }
    catch (...)
    {
        m_pFile = NULL;
        m_lpBufCur = m_lpBufStart;
        throw;
    }
    m_pFile = NULL;
}

void CArchive::Abort()
{
    m_pFile = NULL;
    m_lpBufCur = m_lpBufStart;
    if (IsLoading())
        m_lpBufMax = m_lpBufStart;
}

// Fixed-size values

#define BM_ARCHIVE_SCALAR(type) \
    CArchive& CArchive::operator<<(type value) \
    { \
        CheckStoring(); \
        if ((size_t)(m_lpBufMax - m_lpBufCur) < sizeof(type)) \
            Flush(); \
        memcpy(m_lpBufCur, &value, sizeof(type)); \
        m_lpBufCur += sizeof(type); \
        return *this; \
    } \
    CArchive& CArchive::operator>>(type& value) \
    { \
        CheckLoading(); \
        if ((size_t)(m_lpBufMax - m_lpBufCur) < sizeof(type)) \
        { \
            FillBuffer(sizeof(type)); \
            if ((size_t)(m_lpBufMax - m_lpBufCur) < sizeof(type)) \
                AfxThrowArchiveException(CArchiveException::endOfFile, m_strFileName); \
        } \
        memcpy(&value, m_lpBufCur, sizeof(type)); \
        m_lpBufCur += sizeof(type); \
        return *this; \
    }

BM_ARCHIVE_SCALAR(BYTE)
BM_ARCHIVE_SCALAR(WORD)
BM_ARCHIVE_SCALAR(LONG)
BM_ARCHIVE_SCALAR(DWORD)
BM_ARCHIVE_SCALAR(float)
BM_ARCHIVE_SCALAR(double)
BM_ARCHIVE_SCALAR(LONGLONG)
BM_ARCHIVE_SCALAR(ULONGLONG)
#undef BM_ARCHIVE_SCALAR

CArchive& CArchive::operator<<(LPCSTR lpsz)
{
    CheckStoring();
    UINT_PTR nLen = lpsz == NULL ? 0 : strlen(lpsz);
    AfxWriteStringLength(*this, nLen, FALSE);
    Write(lpsz, (UINT)nLen);
    return *this;
}

// Counts

DWORD_PTR CArchive::ReadCount()
{
    WORD wCount;
    *this >> wCount;
    if (wCount != 0xFFFF)
        return wCount;
    DWORD dwCount;
    *this >> dwCount;
    return dwCount;
}

void CArchive::WriteCount(DWORD_PTR dwCount)
{
    if (dwCount < 0xFFFF)
    {
        *this << (WORD)dwCount;
    }
    else
    {
        *this << (WORD)0xFFFF;
        *this << (DWORD)dwCount;
    }
}

// Text lines

void CArchive::WriteString(LPCTSTR lpsz)
{
    if (lpsz == NULL)
        AfxThrowInvalidArgException();
    Write(lpsz, (UINT)strlen(lpsz));
}

LPTSTR CArchive::ReadString(LPTSTR lpsz, UINT nMax)
{
    CheckLoading();
    if (lpsz == NULL || nMax == 0)
        AfxThrowInvalidArgException();
    UINT nRead = 0;
    bool bAny = false;
    while (nRead + 1 < nMax)
    {
        if (m_lpBufCur == m_lpBufMax)
        {
            FillBuffer(1);
            if (m_lpBufCur == m_lpBufMax)
                break;
        }
        char ch = (char)*m_lpBufCur++;
        bAny = true;
        if (ch == '\r')
            continue;   // part of the line end
        lpsz[nRead++] = ch;
        if (ch == '\n')
            break;
    }
    lpsz[nRead] = '\0';
    return bAny ? lpsz : NULL;
}

BOOL CArchive::ReadString(CString& rString)
{
    CheckLoading();
    CString strLine;
    bool bAny = false;
    for (;;)
    {
        if (m_lpBufCur == m_lpBufMax)
        {
            FillBuffer(1);
            if (m_lpBufCur == m_lpBufMax)
                break;
        }
        // Take the run up to the next line feed in one go.
        BYTE* lpEnd = static_cast<BYTE*>(memchr(m_lpBufCur, '\n', m_lpBufMax - m_lpBufCur));
        bAny = true;
        if (lpEnd == NULL)
        {
            strLine.Append(reinterpret_cast<LPCSTR>(m_lpBufCur), (int)(m_lpBufMax - m_lpBufCur));
            m_lpBufCur = m_lpBufMax;
            continue;
        }
        strLine.Append(reinterpret_cast<LPCSTR>(m_lpBufCur), (int)(lpEnd - m_lpBufCur));
        m_lpBufCur = lpEnd + 1;
        break;
    }
    if (strLine.GetLength() > 0 && strLine[strLine.GetLength() - 1] == '\r')
        strLine.Truncate(strLine.GetLength() - 1);
    rString = static_cast<CString&&>(strLine);
    return bAny ? TRUE : FALSE;
}

// Classes and objects

void CRuntimeClass::Store(CArchive& ar) const
{
    WORD nLen = (WORD)strlen(m_lpszClassName);
    ar << (WORD)m_wSchema << nLen;
    ar.Write(m_lpszClassName, nLen);
}

CRuntimeClass* PASCAL CRuntimeClass::Load(CArchive& ar, UINT* pwSchemaNum)
{
    WORD wSchema, nLen;
    ar >> wSchema >> nLen;
    if (pwSchemaNum != NULL)
        *pwSchemaNum = wSchema;
    if (nLen == 0 || nLen > nMaxClassName)
        return NULL;
    char szClassName[nMaxClassName + 1];
    ar.EnsureRead(szClassName, nLen);
    szClassName[nLen] = '\0';
    return CRuntimeClass::FromName(szClassName);
}

void CArchive::WriteTag(DWORD dwIndex, bool bClass)
{
    if (dwIndex < wBigObjectTag)
    {
        *this << (WORD)(bClass ? (wClassTag | dwIndex) : dwIndex);
    }
    else
    {
        *this << wBigObjectTag;
        *this << (DWORD)(bClass ? (dwBigClassTag | dwIndex) : dwIndex);
    }
}

void CArchive::WriteClass(const CRuntimeClass* pClassRef)
{
    CheckStoring();
    if (pClassRef == NULL)
        AfxThrowInvalidArgException();
    if (pClassRef->m_wSchema == 0xFFFF)
        AfxThrowNotSupportedException();   // not a serializable class
    if (m_pMap == NULL)
        m_pMap = new MapState;
    std::unordered_map<const void*, DWORD>::const_iterator it = m_pMap->storeMap.find(pClassRef);
    if (it != m_pMap->storeMap.end())
    {
        WriteTag(it->second, true);
        return;
    }
    if (m_pMap->nMapCount > nMaxMapCount)
        AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
    *this << wNewClassTag;
    pClassRef->Store(*this);
    m_pMap->storeMap[pClassRef] = m_pMap->nMapCount++;
}

CRuntimeClass* CArchive::ReadClass(const CRuntimeClass* pClassRefRequested, UINT* pSchema, DWORD* pObTag)
{
    return ReadClassImpl(pClassRefRequested, pSchema, pObTag, pSchema == NULL);
}

CRuntimeClass* CArchive::ReadClassImpl(const CRuntimeClass* pClassRefRequested, UINT* pSchema, DWORD* pObTag,
                                       bool bCheckSchema)
{
    CheckLoading();
    if (m_pMap == NULL)
        m_pMap = new MapState;

    WORD wTag;
    *this >> wTag;
    DWORD obTag;
    if (wTag == wBigObjectTag)
        *this >> obTag;
    else
        obTag = ((DWORD)(wTag & wClassTag) << 16) | (wTag & ~wClassTag);

    CRuntimeClass* pClassRef;
    UINT nSchema;
    if (wTag == wNewClassTag)
    {
        pClassRef = CRuntimeClass::Load(*this, &nSchema);
        if (pClassRef == NULL)
            AfxThrowArchiveException(CArchiveException::badClass, m_strFileName);
        if (bCheckSchema && (pClassRef->m_wSchema & ~VERSIONABLE_SCHEMA) != nSchema &&
            !(pClassRef->m_wSchema & VERSIONABLE_SCHEMA))
            AfxThrowArchiveException(CArchiveException::badSchema, m_strFileName);
        if (m_pMap->loadArray.size() > nMaxMapCount)
            AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
        MapState::LoadEntry entry = { pClassRef, true, nSchema };
        m_pMap->loadArray.push_back(entry);
    }
    else if (obTag & dwBigClassTag)
    {
        DWORD nIndex = obTag & ~dwBigClassTag;
        if (nIndex == 0 || nIndex >= m_pMap->loadArray.size() || !m_pMap->loadArray[nIndex].bClass)
            AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
        pClassRef = static_cast<CRuntimeClass*>(m_pMap->loadArray[nIndex].p);
        nSchema = m_pMap->loadArray[nIndex].nSchema;
    }
    else
    {
        // An object reference, not a class.
        if (pObTag == NULL)
            AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
        *pObTag = obTag;
        return NULL;
    }

    if (pSchema != NULL)
        *pSchema = nSchema;
    else
        m_nObjectSchema = nSchema;

    if (pClassRefRequested != NULL && !pClassRef->IsDerivedFrom(pClassRefRequested))
        AfxThrowArchiveException(CArchiveException::badClass, m_strFileName);
    return pClassRef;
}

void CArchive::SerializeClass(const CRuntimeClass* pClassRef)
{
    if (IsStoring())
        WriteClass(pClassRef);
    else
        ReadClass(pClassRef);
}

void CArchive::WriteObject(const CObject* pOb)
{
    CheckStoring();
    if (pOb == NULL)
    {
        *this << wNullTag;
        return;
    }
    if (m_pMap == NULL)
        m_pMap = new MapState;
    std::unordered_map<const void*, DWORD>::const_iterator it = m_pMap->storeMap.find(pOb);
    if (it != m_pMap->storeMap.end())
    {
        WriteTag(it->second, false);
        return;
    }
    CRuntimeClass* pClassRef = pOb->GetRuntimeClass();
    WriteClass(pClassRef);
    if (m_pMap->nMapCount > nMaxMapCount)
        AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
    m_pMap->storeMap[pOb] = m_pMap->nMapCount++;
    const_cast<CObject*>(pOb)->Serialize(*this);
}

CObject* CArchive::ReadObject(const CRuntimeClass* pClassRefRequested)
{
    CheckLoading();
    UINT nSchema = 0;
    DWORD obTag = 0;
    CRuntimeClass* pClassRef = ReadClassImpl(pClassRefRequested, &nSchema, &obTag, true);

    if (pClassRef == NULL)
    {
        if (obTag >= m_pMap->loadArray.size() || m_pMap->loadArray[obTag].bClass)
            AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
        CObject* pOb = static_cast<CObject*>(m_pMap->loadArray[obTag].p);
        if (pOb != NULL && pClassRefRequested != NULL && !pOb->IsKindOf(pClassRefRequested))
            AfxThrowArchiveException(CArchiveException::badClass, m_strFileName);
        return pOb;
    }

    if (pClassRef->m_pfnCreateObject == NULL)
        AfxThrowArchiveException(CArchiveException::badClass, m_strFileName);
    if (m_nObjectDepth >= nMaxObjectDepth)
        AfxThrowArchiveException(CArchiveException::genericException, m_strFileName);
    CObject* pOb = pClassRef->CreateObject();
    if (pOb == NULL)
        AfxThrowMemoryException();
    if (m_pMap->loadArray.size() > nMaxMapCount)
        AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
    // Mapped before it is read, so that it can be referred to from inside.
    MapState::LoadEntry entry = { pOb, false, 0 };
    m_pMap->loadArray.push_back(entry);

    UINT nSchemaSave = m_nObjectSchema;
    m_nObjectSchema = nSchema;
    m_nObjectDepth++;
    try
    {
        pOb->Serialize(*this);
    }
    catch (...)
    {
        // The object may already be referred to elsewhere, so it is left
        // alone (as its caller never sees it, it is not deleted either).
        m_nObjectSchema = nSchemaSave;
        m_nObjectDepth--;
        throw;
    }
    m_nObjectSchema = nSchemaSave;
    m_nObjectDepth--;
    return pOb;
}

void CArchive::MapObject(const CObject* pOb)
{
    if (m_pMap == NULL)
        m_pMap = new MapState;
    if (IsStoring())
    {
        if (pOb != NULL && m_pMap->storeMap.find(pOb) == m_pMap->storeMap.end())
        {
            if (m_pMap->nMapCount > nMaxMapCount)
                AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
            m_pMap->storeMap[pOb] = m_pMap->nMapCount++;
        }
    }
    else
    {
        if (m_pMap->loadArray.size() > nMaxMapCount)
            AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
        MapState::LoadEntry entry = { const_cast<CObject*>(pOb), false, 0 };
        m_pMap->loadArray.push_back(entry);
    }
}

CArchive& AFXAPI operator<<(CArchive& ar, const CObject* pOb)
{
    ar.WriteObject(pOb);
    return ar;
}

CArchive& AFXAPI operator>>(CArchive& ar, CObject*& pOb)
{
    pOb = ar.ReadObject(NULL);
    return ar;
}

CArchive& AFXAPI operator>>(CArchive& ar, const CObject*& pOb)
{
    pOb = ar.ReadObject(NULL);
    return ar;
}

// Strings

void AFXAPI AfxWriteStringLength(CArchive& ar, UINT_PTR nLength, BOOL bUnicode)
{
    if (bUnicode)
    {
        // Marker for wide characters: 0xFF 0xFFFE, then the length as usual.
        ar << (BYTE)0xFF;
        ar << (WORD)0xFFFE;
    }
    if (nLength < 255)
    {
        ar << (BYTE)nLength;
    }
    else if (nLength < 0xFFFE)
    {
        ar << (BYTE)0xFF;
        ar << (WORD)nLength;
    }
    else
    {
        if (nLength >= 0xFFFFFFFF)
            AfxThrowInvalidArgException();
        ar << (BYTE)0xFF;
        ar << (WORD)0xFFFF;
        ar << (DWORD)nLength;
    }
}

namespace {

UINT_PTR ReadPlainStringLength(CArchive& ar, BOOL* pbUnicodeMark)
{
    BYTE bLen;
    ar >> bLen;
    if (bLen < 0xFF)
        return bLen;
    WORD wLen;
    ar >> wLen;
    if (wLen == 0xFFFE)
    {
        if (pbUnicodeMark == NULL)
            AfxThrowArchiveException(CArchiveException::badIndex, ar.m_strFileName);
        *pbUnicodeMark = TRUE;
        return 0;
    }
    if (wLen < 0xFFFF)
        return wLen;
    DWORD dwLen;
    ar >> dwLen;
    if (dwLen == 0xFFFFFFFF)
        AfxThrowArchiveException(CArchiveException::badIndex, ar.m_strFileName);
    return dwLen;
}

} // namespace

UINT_PTR AFXAPI AfxReadStringLength(CArchive& ar, BOOL* pbUnicode)
{
    BOOL bUnicode = FALSE;
    UINT_PTR nLength = ReadPlainStringLength(ar, &bUnicode);
    if (bUnicode)
        nLength = ReadPlainStringLength(ar, NULL);
    if (pbUnicode != NULL)
        *pbUnicode = bUnicode;
    return nLength;
}

CArchive& AFXAPI operator<<(CArchive& ar, const CString& string)
{
    AfxWriteStringLength(ar, (UINT_PTR)string.GetLength(), FALSE);
    ar.Write(string.GetString(), (UINT)string.GetLength());
    return ar;
}

CArchive& AFXAPI operator>>(CArchive& ar, CString& string)
{
    BOOL bUnicode = FALSE;
    UINT_PTR nLength = AfxReadStringLength(ar, &bUnicode);
    // The length comes from the stream: the text is read before the target
    // changes, into room made as the bytes arrive.
    if (nLength > (UINT_PTR)INT_MAX / 4)
        AfxThrowArchiveException(CArchiveException::endOfFile, ar.m_strFileName);
    std::unique_ptr<BYTE[]> text(ar.ReadNewBuffer((ULONGLONG)nLength * (bUnicode ? sizeof(WCHAR) : 1)));
    CString strResult;
    if (nLength > 0)
    {
        if (bUnicode)
            strResult = CString(reinterpret_cast<LPCWSTR>(text.get()), (int)nLength);
        else
            strResult = CString(reinterpret_cast<LPCSTR>(text.get()), (int)nLength);
    }
    string = static_cast<CString&&>(strResult);
    return ar;
}

// Geometry

CArchive& AFXAPI operator<<(CArchive& ar, SIZE size)
{
    return ar << (LONG)size.cx << (LONG)size.cy;
}

CArchive& AFXAPI operator<<(CArchive& ar, POINT point)
{
    return ar << (LONG)point.x << (LONG)point.y;
}

CArchive& AFXAPI operator<<(CArchive& ar, const RECT& rect)
{
    return ar << (LONG)rect.left << (LONG)rect.top << (LONG)rect.right << (LONG)rect.bottom;
}

CArchive& AFXAPI operator>>(CArchive& ar, SIZE& size)
{
    LONG cx, cy;
    ar >> cx >> cy;
    size.cx = cx;
    size.cy = cy;
    return ar;
}

CArchive& AFXAPI operator>>(CArchive& ar, POINT& point)
{
    LONG x, y;
    ar >> x >> y;
    point.x = x;
    point.y = y;
    return ar;
}

CArchive& AFXAPI operator>>(CArchive& ar, RECT& rect)
{
    LONG l, t, r, b;
    ar >> l >> t >> r >> b;
    rect.left = l;
    rect.top = t;
    rect.right = r;
    rect.bottom = b;
    return ar;
}

// Times

CArchive& AFXAPI operator<<(CArchive& ar, CTime time)
{
    return ar << (LONGLONG)time.GetTime();
}

CArchive& AFXAPI operator>>(CArchive& ar, CTime& rtime)
{
    LONGLONG t;
    ar >> t;
    rtime = CTime((__time64_t)t);
    return ar;
}

CArchive& AFXAPI operator<<(CArchive& ar, CTimeSpan timeSpan)
{
    return ar << (LONGLONG)timeSpan.GetTimeSpan();
}

CArchive& AFXAPI operator>>(CArchive& ar, CTimeSpan& rtimeSpan)
{
    LONGLONG t;
    ar >> t;
    rtimeSpan = CTimeSpan((__time64_t)t);
    return ar;
}

CArchive& AFXAPI operator<<(CArchive& ar, const COleDateTime& dateSrc)
{
    return ar << (LONG)dateSrc.m_status << dateSrc.m_dt;
}

CArchive& AFXAPI operator>>(CArchive& ar, COleDateTime& dateSrc)
{
    LONG lStatus;
    double dt;
    ar >> lStatus >> dt;
    if (lStatus < COleDateTime::error || lStatus > COleDateTime::null)
        AfxThrowArchiveException(CArchiveException::badIndex, ar.m_strFileName);
    dateSrc.m_status = (COleDateTime::DateTimeStatus)lStatus;
    dateSrc.m_dt = dt;
    return ar;
}

CArchive& AFXAPI operator<<(CArchive& ar, const COleDateTimeSpan& dateSpanSrc)
{
    return ar << (LONG)dateSpanSrc.m_status << dateSpanSrc.m_span;
}

CArchive& AFXAPI operator>>(CArchive& ar, COleDateTimeSpan& dateSpanSrc)
{
    LONG lStatus;
    double span;
    ar >> lStatus >> span;
    if (lStatus < COleDateTimeSpan::valid || lStatus > COleDateTimeSpan::null)
        AfxThrowArchiveException(CArchiveException::badIndex, ar.m_strFileName);
    dateSpanSrc.m_status = (COleDateTimeSpan::DateTimeSpanStatus)lStatus;
    dateSpanSrc.m_span = span;
    return ar;
}

// Variants: WORD type, then the value (strings as a DWORD byte count and
// the BSTR's bytes).

CArchive& AFXAPI operator<<(CArchive& ar, const COleVariant& varSrc)
{
    ar << (WORD)varSrc.vt;
    switch (varSrc.vt)
    {
    case VT_EMPTY:
    case VT_NULL:
        break;
    case VT_BOOL:
        ar << (WORD)varSrc.boolVal;
        break;
    case VT_I1:
    case VT_UI1:
        ar << (BYTE)varSrc.bVal;
        break;
    case VT_I2:
    case VT_UI2:
        ar << (WORD)varSrc.iVal;
        break;
    case VT_I4:
    case VT_UI4:
    case VT_INT:
    case VT_UINT:
    case VT_ERROR:
        ar << (LONG)varSrc.lVal;
        break;
    case VT_R4:
        ar << varSrc.fltVal;
        break;
    case VT_R8:
        ar << varSrc.dblVal;
        break;
    case VT_DATE:
        ar << varSrc.date;
        break;
    case VT_CY:
        ar << (LONGLONG)varSrc.cyVal.int64;
        break;
    case VT_I8:
    case VT_UI8:
        ar << (LONGLONG)varSrc.llVal;
        break;
    case VT_BSTR:
    {
        DWORD nBytes = varSrc.bstrVal == NULL ? 0 : ::SysStringByteLen(varSrc.bstrVal);
        ar << nBytes;
        ar.Write(varSrc.bstrVal, nBytes);
        break;
    }
    default:
        AfxThrowNotSupportedException();
    }
    return ar;
}

CArchive& AFXAPI operator>>(CArchive& ar, COleVariant& varSrc)
{
    WORD vt;
    ar >> vt;
    VARIANT var;
    ::VariantInit(&var);
    switch (vt)
    {
    case VT_EMPTY:
    case VT_NULL:
        break;
    case VT_BOOL:
    {
        WORD w;
        ar >> w;
        var.boolVal = (VARIANT_BOOL)w;
        break;
    }
    case VT_I1:
    case VT_UI1:
        ar >> var.bVal;
        break;
    case VT_I2:
    case VT_UI2:
    {
        WORD w;
        ar >> w;
        var.iVal = (SHORT)w;
        break;
    }
    case VT_I4:
    case VT_UI4:
    case VT_INT:
    case VT_UINT:
    case VT_ERROR:
    {
        LONG l;
        ar >> l;
        var.lVal = l;
        break;
    }
    case VT_R4:
        ar >> var.fltVal;
        break;
    case VT_R8:
        ar >> var.dblVal;
        break;
    case VT_DATE:
        ar >> var.date;
        break;
    case VT_CY:
    case VT_I8:
    case VT_UI8:
    {
        LONGLONG ll;
        ar >> ll;
        var.llVal = ll;
        break;
    }
    case VT_BSTR:
    {
        DWORD nBytes;
        ar >> nBytes;
        if (nBytes > (DWORD)INT_MAX / 4)
            AfxThrowArchiveException(CArchiveException::endOfFile, ar.m_strFileName);
        std::unique_ptr<BYTE[]> bytes(ar.ReadNewBuffer(nBytes));
        BSTR bstr = ::SysAllocStringByteLen(reinterpret_cast<LPCSTR>(bytes.get()), nBytes);
        if (bstr == NULL)
            AfxThrowMemoryException();
        var.bstrVal = bstr;
        break;
    }
    default:
        AfxThrowArchiveException(CArchiveException::badIndex, ar.m_strFileName);
    }
    var.vt = vt;
    varSrc.Attach(var);
    return ar;
}
