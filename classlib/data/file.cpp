// CFile: a Win32 file handle with exceptions for failures.
#include "afx.h"

IMPLEMENT_DYNAMIC(CFile, CObject)

const HANDLE CFile::hFileNull = INVALID_HANDLE_VALUE;

namespace {

[[noreturn]] void ThrowLastError(const CString& strFileName)
{
    DWORD dwError = ::GetLastError();
    CFileException::ThrowOsError((LONG)dwError, strFileName);
}

// The part of a path after its last separator.
LPCTSTR FindFileName(LPCTSTR lpszPath)
{
    LPCTSTR lpszName = lpszPath;
    for (LPCTSTR p = lpszPath; *p != '\0'; p = ::CharNextA(p))
    {
        if (*p == '\\' || *p == '/' || *p == ':')
            lpszName = p + 1;
    }
    return lpszName;
}

} // namespace

CFile::CFile() : m_hFile(INVALID_HANDLE_VALUE), m_bCloseOnDelete(FALSE)
{
}

CFile::CFile(HANDLE hFile) : m_hFile(hFile), m_bCloseOnDelete(FALSE)
{
}

CFile::CFile(LPCTSTR lpszFileName, UINT nOpenFlags) : m_hFile(INVALID_HANDLE_VALUE), m_bCloseOnDelete(FALSE)
{
    CFileException e;
    if (!Open(lpszFileName, nOpenFlags, &e))
        AfxThrowFileException(e.m_cause, e.m_lOsError, e.m_strFileName);
}

CFile::~CFile()
{
    if (m_hFile != INVALID_HANDLE_VALUE && m_bCloseOnDelete)
        Abort();
}

CFile* CFile::Duplicate() const
{
    if (m_hFile == INVALID_HANDLE_VALUE)
        return NULL;
    HANDLE hDup = INVALID_HANDLE_VALUE;
    if (!::DuplicateHandle(::GetCurrentProcess(), m_hFile, ::GetCurrentProcess(), &hDup, 0, FALSE,
                           DUPLICATE_SAME_ACCESS))
        ThrowLastError(m_strFileName);
    CFile* pFile = new CFile(hDup);
    pFile->m_bCloseOnDelete = m_bCloseOnDelete;
    pFile->m_strFileName = m_strFileName;
    return pFile;
}

BOOL CFile::Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pException)
{
    if (pException != NULL)
    {
        pException->m_cause = CFileException::none;
        pException->m_lOsError = -1;
        pException->m_strFileName = lpszFileName;
    }
    if (m_hFile != INVALID_HANDLE_VALUE)
    {
        // Already open: refuse rather than leak the handle.
        if (pException != NULL)
            pException->m_cause = CFileException::genericException;
        return FALSE;
    }
    if (lpszFileName == NULL || *lpszFileName == '\0')
    {
        if (pException != NULL)
        {
            pException->m_cause = CFileException::badPath;
            pException->m_lOsError = ERROR_INVALID_NAME;
        }
        return FALSE;
    }
    m_bCloseOnDelete = FALSE;

    // Keep the full path, as later GetFilePath callers expect.
    char szFull[MAX_PATH * 2];
    LPSTR lpszFilePart = NULL;
    DWORD dwFull = ::GetFullPathNameA(lpszFileName, sizeof(szFull), szFull, &lpszFilePart);
    if (dwFull == 0 || dwFull >= sizeof(szFull))
        m_strFileName = lpszFileName;
    else
        m_strFileName = szFull;

    DWORD dwAccess;
    switch (nOpenFlags & 3)
    {
    case modeRead:
        dwAccess = GENERIC_READ;
        break;
    case modeWrite:
        dwAccess = GENERIC_WRITE;
        break;
    case modeReadWrite:
        dwAccess = GENERIC_READ | GENERIC_WRITE;
        break;
    default:
        if (pException != NULL)
            pException->m_cause = CFileException::genericException;
        return FALSE;
    }

    DWORD dwShareMode;
    switch (nOpenFlags & 0x70)
    {
    case shareCompat:
    case shareExclusive:
        dwShareMode = 0;
        break;
    case shareDenyWrite:
        dwShareMode = FILE_SHARE_READ;
        break;
    case shareDenyRead:
        dwShareMode = FILE_SHARE_WRITE;
        break;
    case shareDenyNone:
        dwShareMode = FILE_SHARE_READ | FILE_SHARE_WRITE;
        break;
    default:
        if (pException != NULL)
            pException->m_cause = CFileException::genericException;
        return FALSE;
    }

    SECURITY_ATTRIBUTES sa;
    sa.nLength = sizeof(sa);
    sa.lpSecurityDescriptor = NULL;
    sa.bInheritHandle = (nOpenFlags & modeNoInherit) == 0;

    DWORD dwCreateFlag;
    if (nOpenFlags & modeCreate)
        dwCreateFlag = (nOpenFlags & modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;
    else
        dwCreateFlag = OPEN_EXISTING;

    DWORD dwFlags = FILE_ATTRIBUTE_NORMAL;
    if (nOpenFlags & osNoBuffer)
        dwFlags |= FILE_FLAG_NO_BUFFERING;
    if (nOpenFlags & osWriteThrough)
        dwFlags |= FILE_FLAG_WRITE_THROUGH;
    if (nOpenFlags & osRandomAccess)
        dwFlags |= FILE_FLAG_RANDOM_ACCESS;
    if (nOpenFlags & osSequentialScan)
        dwFlags |= FILE_FLAG_SEQUENTIAL_SCAN;

    HANDLE hFile = ::CreateFileA(lpszFileName, dwAccess, dwShareMode, &sa, dwCreateFlag, dwFlags, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
    {
        DWORD dwError = ::GetLastError();
        if (pException != NULL)
        {
            pException->m_lOsError = (LONG)dwError;
            pException->m_cause = CFileException::OsErrorToException((LONG)dwError);
            pException->m_strFileName = lpszFileName;
        }
        return FALSE;
    }
    m_hFile = hFile;
    m_bCloseOnDelete = TRUE;
    return TRUE;
}

UINT CFile::Read(void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return 0;
    if (lpBuf == NULL)
        AfxThrowInvalidArgException();
    DWORD dwRead = 0;
    if (!::ReadFile(m_hFile, lpBuf, nCount, &dwRead, NULL))
    {
        if (::GetLastError() == ERROR_HANDLE_EOF || ::GetLastError() == ERROR_BROKEN_PIPE)
            return 0;
        ThrowLastError(m_strFileName);
    }
    return (UINT)dwRead;
}

void CFile::Write(const void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return;
    if (lpBuf == NULL)
        AfxThrowInvalidArgException();
    DWORD dwWritten = 0;
    if (!::WriteFile(m_hFile, lpBuf, nCount, &dwWritten, NULL))
        ThrowLastError(m_strFileName);
    if (dwWritten != nCount)
        AfxThrowFileException(CFileException::diskFull, -1, m_strFileName);
}

ULONGLONG CFile::Seek(LONGLONG lOff, UINT nFrom)
{
    DWORD dwMethod;
    switch (nFrom)
    {
    case begin:
        dwMethod = FILE_BEGIN;
        break;
    case current:
        dwMethod = FILE_CURRENT;
        break;
    case end:
        dwMethod = FILE_END;
        break;
    default:
        AfxThrowFileException(CFileException::badSeek, -1, m_strFileName);
    }
    LARGE_INTEGER liOff, liNew;
    liOff.QuadPart = lOff;
    if (!::SetFilePointerEx(m_hFile, liOff, &liNew, dwMethod))
        ThrowLastError(m_strFileName);
    return (ULONGLONG)liNew.QuadPart;
}

ULONGLONG CFile::GetPosition() const
{
    LARGE_INTEGER liZero, liPos;
    liZero.QuadPart = 0;
    if (!::SetFilePointerEx(m_hFile, liZero, &liPos, FILE_CURRENT))
        ThrowLastError(m_strFileName);
    return (ULONGLONG)liPos.QuadPart;
}

void CFile::Flush()
{
    if (m_hFile == INVALID_HANDLE_VALUE)
        return;
    if (!::FlushFileBuffers(m_hFile))
        ThrowLastError(m_strFileName);
}

void CFile::Close()
{
    BOOL bError = FALSE;
    DWORD dwError = 0;
    if (m_hFile != INVALID_HANDLE_VALUE)
    {
        bError = !::CloseHandle(m_hFile);
        if (bError)
            dwError = ::GetLastError();
    }
    m_hFile = INVALID_HANDLE_VALUE;
    m_bCloseOnDelete = FALSE;
    CString strFileName = m_strFileName;
    m_strFileName.Empty();
    if (bError)
        CFileException::ThrowOsError((LONG)dwError, strFileName);
}

void CFile::Abort()
{
    if (m_hFile != INVALID_HANDLE_VALUE)
        ::CloseHandle(m_hFile);
    m_hFile = INVALID_HANDLE_VALUE;
    m_bCloseOnDelete = FALSE;
    m_strFileName.Empty();
}

void CFile::LockRange(ULONGLONG dwPos, ULONGLONG dwCount)
{
    if (!::LockFile(m_hFile, (DWORD)dwPos, (DWORD)(dwPos >> 32), (DWORD)dwCount, (DWORD)(dwCount >> 32)))
        ThrowLastError(m_strFileName);
}

void CFile::UnlockRange(ULONGLONG dwPos, ULONGLONG dwCount)
{
    if (!::UnlockFile(m_hFile, (DWORD)dwPos, (DWORD)(dwPos >> 32), (DWORD)dwCount, (DWORD)(dwCount >> 32)))
        ThrowLastError(m_strFileName);
}

void CFile::SetLength(ULONGLONG dwNewLen)
{
    Seek((LONGLONG)dwNewLen, begin);
    if (!::SetEndOfFile(m_hFile))
        ThrowLastError(m_strFileName);
}

ULONGLONG CFile::GetLength() const
{
    LARGE_INTEGER liSize;
    if (!::GetFileSizeEx(m_hFile, &liSize))
        ThrowLastError(m_strFileName);
    return (ULONGLONG)liSize.QuadPart;
}

UINT CFile::GetBufferPtr(UINT nCommand, UINT nCount, void** ppBufStart, void** ppBufMax)
{
    (void)nCommand;
    (void)nCount;
    (void)ppBufStart;
    (void)ppBufMax;
    return 0;
}

CString CFile::GetFileName() const
{
    return CString(FindFileName(m_strFileName));
}

CString CFile::GetFileTitle() const
{
    CString strName = GetFileName();
    int nDot = strName.ReverseFind('.');
    if (nDot > 0)
        strName.Truncate(nDot);
    return strName;
}

CString CFile::GetFilePath() const
{
    return m_strFileName;
}

void CFile::SetFilePath(LPCTSTR lpszNewName)
{
    m_strFileName = lpszNewName;
}

namespace {

CTime FileTimeToCTime(const FILETIME& ft)
{
    if (ft.dwLowDateTime == 0 && ft.dwHighDateTime == 0)
        return CTime();
    return CTime(ft);
}

} // namespace

BOOL CFile::GetStatus(CFileStatus& rStatus) const
{
    memset(&rStatus.m_size, 0, sizeof(rStatus.m_size));
    rStatus.m_attribute = 0;
    lstrcpynA(rStatus.m_szFullName, m_strFileName, _countof(rStatus.m_szFullName));
    if (m_hFile == INVALID_HANDLE_VALUE)
        return FALSE;
    BY_HANDLE_FILE_INFORMATION info;
    if (!::GetFileInformationByHandle(m_hFile, &info))
        return FALSE;
    rStatus.m_ctime = FileTimeToCTime(info.ftCreationTime);
    rStatus.m_atime = FileTimeToCTime(info.ftLastAccessTime);
    rStatus.m_mtime = FileTimeToCTime(info.ftLastWriteTime);
    rStatus.m_size = ((ULONGLONG)info.nFileSizeHigh << 32) | info.nFileSizeLow;
    rStatus.m_attribute = (BYTE)(info.dwFileAttributes & 0xFF);
    return TRUE;
}

BOOL PASCAL CFile::GetStatus(LPCTSTR lpszFileName, CFileStatus& rStatus)
{
    if (lpszFileName == NULL)
        return FALSE;
    LPSTR lpszFilePart = NULL;
    DWORD dwFull = ::GetFullPathNameA(lpszFileName, _countof(rStatus.m_szFullName), rStatus.m_szFullName,
                                      &lpszFilePart);
    if (dwFull == 0 || dwFull >= _countof(rStatus.m_szFullName))
    {
        rStatus.m_szFullName[0] = '\0';
        return FALSE;
    }
    WIN32_FIND_DATAA findData;
    HANDLE hFind = ::FindFirstFileA(lpszFileName, &findData);
    if (hFind == INVALID_HANDLE_VALUE)
        return FALSE;
    ::FindClose(hFind);
    rStatus.m_attribute = (BYTE)(findData.dwFileAttributes & 0xFF);
    rStatus.m_size = ((ULONGLONG)findData.nFileSizeHigh << 32) | findData.nFileSizeLow;
    rStatus.m_ctime = FileTimeToCTime(findData.ftCreationTime);
    rStatus.m_atime = FileTimeToCTime(findData.ftLastAccessTime);
    rStatus.m_mtime = FileTimeToCTime(findData.ftLastWriteTime);
    return TRUE;
}

void PASCAL CFile::Rename(LPCTSTR lpszOldName, LPCTSTR lpszNewName)
{
    if (!::MoveFileA(lpszOldName, lpszNewName))
        ThrowLastError(lpszOldName);
}

void PASCAL CFile::Remove(LPCTSTR lpszFileName)
{
    if (lpszFileName == NULL || *lpszFileName == '\0')
        return;
    if (!::DeleteFileA(lpszFileName))
    {
        DWORD dwError = ::GetLastError();
        if (dwError == ERROR_FILE_NOT_FOUND || dwError == ERROR_PATH_NOT_FOUND)
            return;   // nothing to remove
        CFileException::ThrowOsError((LONG)dwError, lpszFileName);
    }
}
