// CStdioFile: a C stream over a file opened like CFile; text mode turns
// "\n" into CR LF on write and back on read.
#include "afx.h"

#include <errno.h>
#include <fcntl.h>
#include <io.h>

IMPLEMENT_DYNAMIC(CStdioFile, CFile)

namespace {

[[noreturn]] void ThrowStreamError(const CString& strFileName)
{
    int nErrno = errno;
    if (nErrno == 0)
        nErrno = EIO;
    CFileException::ThrowErrno(nErrno, strFileName);
}

} // namespace

CStdioFile::CStdioFile() : m_pStream(NULL)
{
}

CStdioFile::CStdioFile(FILE* pOpenStream) : m_pStream(pOpenStream)
{
    if (pOpenStream != NULL)
        m_hFile = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(pOpenStream)));
}

CStdioFile::CStdioFile(LPCTSTR lpszFileName, UINT nOpenFlags) : m_pStream(NULL)
{
    CFileException e;
    if (!Open(lpszFileName, nOpenFlags, &e))
        AfxThrowFileException(e.m_cause, e.m_lOsError, e.m_strFileName);
}

CStdioFile::~CStdioFile()
{
    if (m_pStream != NULL && m_bCloseOnDelete)
        Abort();
}

BOOL CStdioFile::Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pException)
{
    if (m_pStream != NULL)
    {
        if (pException != NULL)
        {
            pException->m_cause = CFileException::genericException;
            pException->m_strFileName = lpszFileName;
        }
        return FALSE;
    }
    // The handle is opened as by CFile, then wrapped in a stream.
    if (!CFile::Open(lpszFileName, nOpenFlags & ~(UINT)(typeText | typeBinary), pException))
        return FALSE;

    char szMode[4];
    int nMode = 0;
    int nFlags = 0;
    if (nOpenFlags & modeCreate)
    {
        szMode[nMode++] = (nOpenFlags & modeNoTruncate) ? 'a' : 'w';
        if (nOpenFlags & modeNoTruncate)
            nFlags |= _O_APPEND;
    }
    else if (nOpenFlags & modeWrite)
    {
        szMode[nMode++] = 'a';
        nFlags |= _O_APPEND;
    }
    else
    {
        szMode[nMode++] = 'r';
    }
    if (nOpenFlags & modeReadWrite)
        szMode[nMode++] = '+';
    else if ((nOpenFlags & (modeWrite | modeReadWrite)) == 0)
        nFlags |= _O_RDONLY;
    if (nOpenFlags & typeBinary)
    {
        szMode[nMode++] = 'b';
        nFlags |= _O_BINARY;
    }
    else
    {
        szMode[nMode++] = 't';
        nFlags |= _O_TEXT;
    }
    szMode[nMode] = '\0';

    int nHandle = _open_osfhandle(reinterpret_cast<intptr_t>(m_hFile), nFlags);
    if (nHandle != -1)
        m_pStream = _fdopen(nHandle, szMode);
    if (m_pStream == NULL)
    {
        int nErrno = errno;
        if (nHandle != -1)
            _close(nHandle);   // closes the handle as well
        else
            CFile::Abort();
        m_hFile = INVALID_HANDLE_VALUE;
        m_bCloseOnDelete = FALSE;
        if (pException != NULL)
        {
            pException->m_lOsError = nErrno;
            pException->m_cause = CFileException::ErrnoToException(nErrno);
            pException->m_strFileName = lpszFileName;
        }
        return FALSE;
    }
    return TRUE;
}

UINT CStdioFile::Read(void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return 0;
    if (lpBuf == NULL || m_pStream == NULL)
        AfxThrowInvalidArgException();
    errno = 0;
    size_t nRead = fread(lpBuf, 1, nCount, m_pStream);
    if (nRead == 0 && !feof(m_pStream) && ferror(m_pStream))
    {
        clearerr(m_pStream);
        ThrowStreamError(m_strFileName);
    }
    return (UINT)nRead;
}

void CStdioFile::Write(const void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return;
    if (lpBuf == NULL || m_pStream == NULL)
        AfxThrowInvalidArgException();
    errno = 0;
    if (fwrite(lpBuf, 1, nCount, m_pStream) != nCount)
    {
        clearerr(m_pStream);
        ThrowStreamError(m_strFileName);
    }
}

void CStdioFile::WriteString(LPCTSTR lpsz)
{
    if (lpsz == NULL || m_pStream == NULL)
        AfxThrowInvalidArgException();
    errno = 0;
    if (fputs(lpsz, m_pStream) == EOF)
    {
        clearerr(m_pStream);
        ThrowStreamError(m_strFileName);
    }
}

LPTSTR CStdioFile::ReadString(LPTSTR lpsz, UINT nMax)
{
    if (lpsz == NULL || nMax == 0 || m_pStream == NULL)
        AfxThrowInvalidArgException();
    errno = 0;
    LPTSTR lpszResult = fgets(lpsz, nMax > INT_MAX ? INT_MAX : (int)nMax, m_pStream);
    if (lpszResult == NULL)
    {
        *lpsz = '\0';
        if (!feof(m_pStream) && ferror(m_pStream))
        {
            clearerr(m_pStream);
            ThrowStreamError(m_strFileName);
        }
    }
    return lpszResult;
}

BOOL CStdioFile::ReadString(CString& rString)
{
    if (m_pStream == NULL)
        AfxThrowInvalidArgException();
    CString strLine;
    char buf[256];
    int nBuf = 0;
    bool bAny = false;
    errno = 0;
    for (;;)
    {
        int ch = getc(m_pStream);
        if (ch == EOF)
        {
            if (ferror(m_pStream))
            {
                clearerr(m_pStream);
                ThrowStreamError(m_strFileName);
            }
            break;
        }
        bAny = true;
        if (ch == '\n')
            break;
        buf[nBuf++] = (char)ch;
        if (nBuf == (int)sizeof(buf))
        {
            strLine.Append(buf, nBuf);
            nBuf = 0;
        }
    }
    strLine.Append(buf, nBuf);
    // A CR before the LF (binary mode or a stray one) is part of the line end.
    if (strLine.GetLength() > 0 && strLine[strLine.GetLength() - 1] == '\r')
        strLine.Truncate(strLine.GetLength() - 1);
    rString = static_cast<CString&&>(strLine);
    return bAny ? TRUE : FALSE;
}

ULONGLONG CStdioFile::Seek(LONGLONG lOff, UINT nFrom)
{
    if (m_pStream == NULL)
        AfxThrowInvalidArgException();
    int nOrigin;
    switch (nFrom)
    {
    case begin:
        nOrigin = SEEK_SET;
        break;
    case current:
        nOrigin = SEEK_CUR;
        break;
    case end:
        nOrigin = SEEK_END;
        break;
    default:
        AfxThrowFileException(CFileException::badSeek, -1, m_strFileName);
    }
    if (fseeko64(m_pStream, lOff, nOrigin) != 0)
        AfxThrowFileException(CFileException::badSeek, errno, m_strFileName);
    long long pos = ftello64(m_pStream);
    if (pos < 0)
        AfxThrowFileException(CFileException::badSeek, errno, m_strFileName);
    return (ULONGLONG)pos;
}

ULONGLONG CStdioFile::GetPosition() const
{
    if (m_pStream == NULL)
        AfxThrowInvalidArgException();
    long long pos = ftello64(m_pStream);
    if (pos < 0)
        AfxThrowFileException(CFileException::invalidFile, errno, m_strFileName);
    return (ULONGLONG)pos;
}

ULONGLONG CStdioFile::GetLength() const
{
    if (m_pStream == NULL)
        AfxThrowInvalidArgException();
    long long pos = ftello64(m_pStream);
    if (pos < 0 || fseeko64(m_pStream, 0, SEEK_END) != 0)
        AfxThrowFileException(CFileException::badSeek, errno, m_strFileName);
    long long len = ftello64(m_pStream);
    fseeko64(m_pStream, pos, SEEK_SET);
    if (len < 0)
        AfxThrowFileException(CFileException::badSeek, errno, m_strFileName);
    return (ULONGLONG)len;
}

void CStdioFile::SetLength(ULONGLONG dwNewLen)
{
    Flush();
    CFile::SetLength(dwNewLen);
    fseeko64(m_pStream, (long long)dwNewLen, SEEK_SET);
}

void CStdioFile::Flush()
{
    if (m_pStream != NULL && fflush(m_pStream) != 0)
    {
        clearerr(m_pStream);
        ThrowStreamError(m_strFileName);
    }
}

void CStdioFile::Close()
{
    int nResult = 0;
    int nErrno = 0;
    if (m_pStream != NULL)
    {
        errno = 0;
        nResult = fclose(m_pStream);   // also closes the handle
        nErrno = errno;
    }
    m_pStream = NULL;
    m_hFile = INVALID_HANDLE_VALUE;
    m_bCloseOnDelete = FALSE;
    CString strFileName = m_strFileName;
    m_strFileName.Empty();
    if (nResult != 0)
        CFileException::ThrowErrno(nErrno != 0 ? nErrno : EIO, strFileName);
}

void CStdioFile::Abort()
{
    if (m_pStream != NULL)
        fclose(m_pStream);
    m_pStream = NULL;
    m_hFile = INVALID_HANDLE_VALUE;
    m_bCloseOnDelete = FALSE;
    m_strFileName.Empty();
}

CFile* CStdioFile::Duplicate() const
{
    AfxThrowNotSupportedException();
}

void CStdioFile::LockRange(ULONGLONG, ULONGLONG)
{
    AfxThrowNotSupportedException();
}

void CStdioFile::UnlockRange(ULONGLONG, ULONGLONG)
{
    AfxThrowNotSupportedException();
}
