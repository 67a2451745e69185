// CMemFile (a growable block of memory as a file) and CSharedFile (the same
// in global memory, for the clipboard).
#include "afx.h"

IMPLEMENT_DYNAMIC(CMemFile, CFile)
IMPLEMENT_DYNAMIC(CSharedFile, CMemFile)

namespace {

// Largest file size kept in memory (SIZE_T arithmetic stays exact below it).
const SIZE_T kMaxMemFile = (SIZE_T)INT_MAX;

} // namespace

CMemFile::CMemFile(UINT nGrowBytes)
    : m_nGrowBytes(nGrowBytes), m_nPosition(0), m_nBufferSize(0), m_nFileSize(0), m_lpBuffer(NULL),
      m_bAutoDelete(TRUE)
{
}

CMemFile::CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes)
    : m_nGrowBytes(nGrowBytes), m_nPosition(0), m_nBufferSize(0), m_nFileSize(0), m_lpBuffer(NULL),
      m_bAutoDelete(TRUE)
{
    Attach(lpBuffer, nBufferSize, nGrowBytes);
}

CMemFile::~CMemFile()
{
    if (m_lpBuffer != NULL && m_bAutoDelete)
        CMemFile::Free(m_lpBuffer);
    m_lpBuffer = NULL;
}

void CMemFile::Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes)
{
    if (lpBuffer == NULL && nBufferSize != 0)
        AfxThrowInvalidArgException();
    if (m_lpBuffer != NULL)
        Close();
    m_nGrowBytes = nGrowBytes;
    m_nPosition = 0;
    m_nBufferSize = nBufferSize;
    // A fixed buffer is the file's contents; a growable one starts empty.
    m_nFileSize = nGrowBytes == 0 ? nBufferSize : 0;
    m_lpBuffer = lpBuffer;
    m_bAutoDelete = FALSE;
}

BYTE* CMemFile::Detach()
{
    BYTE* lpBuffer = m_lpBuffer;
    m_lpBuffer = NULL;
    m_nFileSize = 0;
    m_nBufferSize = 0;
    m_nPosition = 0;
    return lpBuffer;
}

BYTE* CMemFile::Alloc(SIZE_T nBytes)
{
    return static_cast<BYTE*>(malloc(nBytes));
}

BYTE* CMemFile::Realloc(BYTE* lpMem, SIZE_T nBytes)
{
    if (nBytes == 0)
    {
        Free(lpMem);
        return NULL;
    }
    return static_cast<BYTE*>(realloc(lpMem, nBytes));
}

BYTE* CMemFile::Memcpy(BYTE* lpMemTarget, const BYTE* lpMemSource, SIZE_T nBytes)
{
    return static_cast<BYTE*>(memcpy(lpMemTarget, lpMemSource, nBytes));
}

void CMemFile::Free(BYTE* lpMem)
{
    free(lpMem);
}

void CMemFile::GrowFile(SIZE_T dwNewLen)
{
    if (dwNewLen <= m_nBufferSize)
        return;
    if (m_nGrowBytes == 0 || dwNewLen > kMaxMemFile)
        AfxThrowMemoryException();   // fixed buffer, or beyond what we keep
    // Round up to a multiple of the grow size.
    SIZE_T nNewBufferSize = ((dwNewLen + m_nGrowBytes - 1) / m_nGrowBytes) * m_nGrowBytes;
    if (nNewBufferSize < dwNewLen)
        nNewBufferSize = dwNewLen;
    BYTE* lpNew = m_lpBuffer == NULL ? Alloc(nNewBufferSize) : Realloc(m_lpBuffer, nNewBufferSize);
    if (lpNew == NULL)
        AfxThrowMemoryException();
    m_lpBuffer = lpNew;
    m_nBufferSize = nNewBufferSize;
}

ULONGLONG CMemFile::GetLength() const
{
    return m_nFileSize;
}

void CMemFile::SetLength(ULONGLONG dwNewLen)
{
    if (dwNewLen > kMaxMemFile)
        AfxThrowMemoryException();
    SIZE_T nNewLen = (SIZE_T)dwNewLen;
    if (nNewLen > m_nBufferSize)
        GrowFile(nNewLen);
    if (nNewLen > m_nFileSize)
        memset(m_lpBuffer + m_nFileSize, 0, nNewLen - m_nFileSize);
    if (nNewLen < m_nPosition)
        m_nPosition = nNewLen;
    m_nFileSize = nNewLen;
}

UINT CMemFile::Read(void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return 0;
    if (lpBuf == NULL)
        AfxThrowInvalidArgException();
    if (m_nPosition >= m_nFileSize)
        return 0;
    SIZE_T nRead = m_nFileSize - m_nPosition;
    if (nRead > nCount)
        nRead = nCount;
    Memcpy(static_cast<BYTE*>(lpBuf), m_lpBuffer + m_nPosition, nRead);
    m_nPosition += nRead;
    return (UINT)nRead;
}

void CMemFile::Write(const void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return;
    if (lpBuf == NULL)
        AfxThrowInvalidArgException();
    if (m_nPosition > kMaxMemFile || nCount > kMaxMemFile - m_nPosition)
        AfxThrowMemoryException();
    SIZE_T nEnd = m_nPosition + nCount;
    if (nEnd > m_nBufferSize)
        GrowFile(nEnd);
    // A write past the end after a seek leaves zeros in between.
    if (m_nPosition > m_nFileSize)
        memset(m_lpBuffer + m_nFileSize, 0, m_nPosition - m_nFileSize);
    Memcpy(m_lpBuffer + m_nPosition, static_cast<const BYTE*>(lpBuf), nCount);
    m_nPosition = nEnd;
    if (m_nPosition > m_nFileSize)
        m_nFileSize = m_nPosition;
}

ULONGLONG CMemFile::Seek(LONGLONG lOff, UINT nFrom)
{
    LONGLONG lNewPos;
    switch (nFrom)
    {
    case begin:
        lNewPos = lOff;
        break;
    case current:
        lNewPos = (LONGLONG)m_nPosition + lOff;
        break;
    case end:
        lNewPos = (LONGLONG)m_nFileSize + lOff;
        break;
    default:
        AfxThrowFileException(CFileException::badSeek, -1, m_strFileName);
    }
    if (lNewPos < 0 || (ULONGLONG)lNewPos > kMaxMemFile)
        AfxThrowFileException(CFileException::badSeek, -1, m_strFileName);
    m_nPosition = (SIZE_T)lNewPos;
    return (ULONGLONG)m_nPosition;
}

ULONGLONG CMemFile::GetPosition() const
{
    return m_nPosition;
}

BOOL CMemFile::GetStatus(CFileStatus& rStatus) const
{
    rStatus.m_ctime = CTime();
    rStatus.m_mtime = CTime();
    rStatus.m_atime = CTime();
    rStatus.m_size = m_nFileSize;
    rStatus.m_attribute = normal;
    rStatus.m_szFullName[0] = '\0';
    return TRUE;
}

void CMemFile::Flush()
{
}

void CMemFile::Close()
{
    m_nPosition = 0;
    m_nBufferSize = 0;
    m_nFileSize = 0;
    if (m_lpBuffer != NULL && m_bAutoDelete)
        Free(m_lpBuffer);
    m_lpBuffer = NULL;
}

void CMemFile::Abort()
{
    Close();
}

UINT CMemFile::GetBufferPtr(UINT nCommand, UINT nCount, void** ppBufStart, void** ppBufMax)
{
    switch (nCommand)
    {
    case bufferCheck:
        return bufferDirect;
    case bufferCommit:
        if (m_nPosition > m_nBufferSize || nCount > m_nBufferSize - m_nPosition)
            AfxThrowInvalidArgException();
        m_nPosition += nCount;
        if (m_nPosition > m_nFileSize)
            m_nFileSize = m_nPosition;
        return 0;
    case bufferWrite:
        if (m_nPosition > kMaxMemFile || nCount > kMaxMemFile - m_nPosition)
            AfxThrowMemoryException();
        if (m_nPosition + nCount > m_nBufferSize)
            GrowFile(m_nPosition + nCount);
        if (ppBufStart != NULL)
            *ppBufStart = m_lpBuffer + m_nPosition;
        if (ppBufMax != NULL)
            *ppBufMax = m_lpBuffer + m_nPosition + nCount;
        return nCount;
    case bufferRead:
    {
        SIZE_T nAvail = m_nPosition < m_nFileSize ? m_nFileSize - m_nPosition : 0;
        if (nCount > nAvail)
            nCount = (UINT)nAvail;
        if (ppBufStart != NULL)
            *ppBufStart = m_lpBuffer + m_nPosition;
        if (ppBufMax != NULL)
            *ppBufMax = m_lpBuffer + m_nPosition + nCount;
        m_nPosition += nCount;
        return nCount;
    }
    default:
        return 0;
    }
}

CFile* CMemFile::Duplicate() const
{
    AfxThrowNotSupportedException();
}

void CMemFile::LockRange(ULONGLONG, ULONGLONG)
{
    AfxThrowNotSupportedException();
}

void CMemFile::UnlockRange(ULONGLONG, ULONGLONG)
{
    AfxThrowNotSupportedException();
}

// CSharedFile

CSharedFile::CSharedFile(UINT nAllocFlags, UINT nGrowBytes)
    : CMemFile(nGrowBytes), m_nAllocFlags(nAllocFlags), m_hGlobalMemory(NULL), m_bAllowGrow(TRUE)
{
}

CSharedFile::~CSharedFile()
{
    // Freed here, while the global-memory Free is still the one called.
    if (m_lpBuffer != NULL)
        Close();
}

HGLOBAL CSharedFile::Detach()
{
    HGLOBAL hMem = m_hGlobalMemory;
    if (hMem != NULL)
        ::GlobalUnlock(hMem);
    m_hGlobalMemory = NULL;
    m_lpBuffer = NULL;
    m_nFileSize = 0;
    m_nBufferSize = 0;
    m_nPosition = 0;
    return hMem;
}

void CSharedFile::SetHandle(HGLOBAL hGlobalMemory, BOOL bAllowGrow)
{
    if (hGlobalMemory == NULL)
        AfxThrowInvalidArgException();
    if (m_lpBuffer != NULL)
        Close();
    BYTE* lpBuffer = static_cast<BYTE*>(::GlobalLock(hGlobalMemory));
    if (lpBuffer == NULL)
        AfxThrowMemoryException();
    m_hGlobalMemory = hGlobalMemory;
    m_lpBuffer = lpBuffer;
    m_nBufferSize = m_nFileSize = ::GlobalSize(hGlobalMemory);
    m_nPosition = 0;
    m_bAllowGrow = bAllowGrow;
    m_bAutoDelete = TRUE;
}

BYTE* CSharedFile::Alloc(SIZE_T nBytes)
{
    HGLOBAL hMem = ::GlobalAlloc(m_nAllocFlags, nBytes);
    if (hMem == NULL)
        return NULL;
    BYTE* lpBuffer = static_cast<BYTE*>(::GlobalLock(hMem));
    if (lpBuffer == NULL)
    {
        ::GlobalFree(hMem);
        return NULL;
    }
    m_hGlobalMemory = hMem;
    return lpBuffer;
}

BYTE* CSharedFile::Realloc(BYTE* lpMem, SIZE_T nBytes)
{
    if (lpMem == NULL || m_hGlobalMemory == NULL)
        return Alloc(nBytes);
    ::GlobalUnlock(m_hGlobalMemory);
    HGLOBAL hNew = ::GlobalReAlloc(m_hGlobalMemory, nBytes, m_nAllocFlags & ~GMEM_ZEROINIT);
    if (hNew == NULL)
    {
        // The old block is still there: lock it again so nothing is lost.
        m_lpBuffer = static_cast<BYTE*>(::GlobalLock(m_hGlobalMemory));
        return NULL;
    }
    m_hGlobalMemory = hNew;
    return static_cast<BYTE*>(::GlobalLock(hNew));
}

void CSharedFile::Free(BYTE* lpMem)
{
    (void)lpMem;
    if (m_hGlobalMemory != NULL)
    {
        ::GlobalUnlock(m_hGlobalMemory);
        ::GlobalFree(m_hGlobalMemory);
        m_hGlobalMemory = NULL;
    }
}

void CSharedFile::GrowFile(SIZE_T dwNewLen)
{
    if (!m_bAllowGrow && dwNewLen > m_nBufferSize)
        AfxThrowMemoryException();
    CMemFile::GrowFile(dwNewLen);
}
