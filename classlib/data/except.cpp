// Exception classes, the AfxThrow functions and the CATCH bookkeeping.
#include "afx.h"

#include <errno.h>

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CSimpleException, CException)
IMPLEMENT_DYNAMIC(CMemoryException, CSimpleException)
IMPLEMENT_DYNAMIC(CNotSupportedException, CSimpleException)
IMPLEMENT_DYNAMIC(CInvalidArgException, CSimpleException)
IMPLEMENT_DYNAMIC(CResourceException, CSimpleException)
IMPLEMENT_DYNAMIC(CUserException, CSimpleException)
IMPLEMENT_DYNAMIC(CFileException, CException)
IMPLEMENT_DYNAMIC(CArchiveException, CException)

namespace {

int AFXAPI DefaultReportError(LPCTSTR lpszText, UINT nType)
{
    return ::MessageBoxA(::GetActiveWindow(), lpszText, NULL, nType);
}

AFX_REPORT_ERROR_PROC g_pfnReportError = &DefaultReportError;

// Innermost CATCH record of the running thread.
thread_local AFX_EXCEPTION_LINK* t_pLinkTop = NULL;

BOOL CopyMessage(LPCTSTR lpszText, LPTSTR lpszError, UINT nMaxError)
{
    if (lpszError == NULL || nMaxError == 0)
        return FALSE;
    lstrcpynA(lpszError, lpszText, (int)nMaxError);
    return TRUE;
}

} // namespace

AFX_REPORT_ERROR_PROC AFXAPI AfxSetReportErrorProc(AFX_REPORT_ERROR_PROC pfn)
{
    AFX_REPORT_ERROR_PROC pfnOld = g_pfnReportError;
    g_pfnReportError = pfn != NULL ? pfn : &DefaultReportError;
    return pfnOld;
}

AFX_EXCEPTION_LINK::AFX_EXCEPTION_LINK() : m_pException(NULL), m_pLinkPrev(t_pLinkTop)
{
    t_pLinkTop = this;
}

AFX_EXCEPTION_LINK::~AFX_EXCEPTION_LINK()
{
    t_pLinkTop = m_pLinkPrev;
    if (m_pException != NULL)
    {
        CException* e = m_pException;
        m_pException = NULL;
        e->Delete();
    }
}

// CException

CException::CException() : m_bAutoDelete(TRUE)
{
}

CException::CException(BOOL bAutoDelete) : m_bAutoDelete(bAutoDelete)
{
}

CException::~CException()
{
}

void CException::Delete()
{
    // A CATCH block that deletes its exception itself must not have it
    // deleted a second time when the block ends.
    for (AFX_EXCEPTION_LINK* pLink = t_pLinkTop; pLink != NULL; pLink = pLink->m_pLinkPrev)
    {
        if (pLink->m_pException == this)
            pLink->m_pException = NULL;
    }
    if (m_bAutoDelete)
        delete this;
}

BOOL CException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext != NULL)
        *pnHelpContext = 0;
    if (lpszError != NULL && nMaxError != 0)
        *lpszError = '\0';
    return FALSE;
}

int CException::ReportError(UINT nType, UINT nMessageID) const
{
    char szMessage[512];
    CString strMessage;
    if (GetErrorMessage(szMessage, sizeof(szMessage), NULL))
        strMessage = szMessage;
    else if (nMessageID == 0 || !strMessage.LoadString(nMessageID))
        strMessage = "An unsupported operation was attempted.";
    return (*g_pfnReportError)(strMessage, nType);
}

// Simple exceptions

BOOL CSimpleException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext != NULL)
        *pnHelpContext = 0;
    LPCTSTR lpszText = GetDefaultMessage();
    if (lpszText == NULL)
    {
        if (lpszError != NULL && nMaxError != 0)
            *lpszError = '\0';
        return FALSE;
    }
    return CopyMessage(lpszText, lpszError, nMaxError);
}

LPCTSTR CSimpleException::GetDefaultMessage() const
{
    return "An unsupported operation was attempted.";
}

LPCTSTR CMemoryException::GetDefaultMessage() const
{
    return "Out of memory.";
}

LPCTSTR CNotSupportedException::GetDefaultMessage() const
{
    return "An unsupported operation was attempted.";
}

LPCTSTR CInvalidArgException::GetDefaultMessage() const
{
    return "Encountered an improper argument.";
}

LPCTSTR CResourceException::GetDefaultMessage() const
{
    return "A required resource was unavailable.";
}

LPCTSTR CUserException::GetDefaultMessage() const
{
    return NULL;   // the user has been told already
}

// CFileException

CFileException::CFileException(int cause, LONG lOsError, LPCTSTR lpszArchiveName)
    : m_cause(cause), m_lOsError(lOsError), m_strFileName(lpszArchiveName)
{
}

int PASCAL CFileException::OsErrorToException(LONG lOsError)
{
    switch ((DWORD)lOsError)
    {
    case NO_ERROR:
        return none;
    case ERROR_FILE_NOT_FOUND:
        return fileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_PATHNAME:
    case ERROR_INVALID_NAME:
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_BAD_NETPATH:
    case ERROR_DIRECTORY:
        return badPath;
    case ERROR_TOO_MANY_OPEN_FILES:
    case ERROR_SHARING_BUFFER_EXCEEDED:
        return tooManyOpenFiles;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_NETWORK_ACCESS_DENIED:
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
    case ERROR_CANNOT_MAKE:
        return accessDenied;
    case ERROR_INVALID_HANDLE:
    case ERROR_INVALID_ACCESS:
        return invalidFile;
    case ERROR_CURRENT_DIRECTORY:
        return removeCurrentDir;
    case ERROR_NO_MORE_FILES:
        return directoryFull;
    case ERROR_SEEK:
    case ERROR_NEGATIVE_SEEK:
    case ERROR_SEEK_ON_DEVICE:
        return badSeek;
    case ERROR_SHARING_VIOLATION:
        return sharingViolation;
    case ERROR_LOCK_VIOLATION:
    case ERROR_LOCK_FAILED:
    case ERROR_DRIVE_LOCKED:
        return lockViolation;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return diskFull;
    case ERROR_HANDLE_EOF:
        return endOfFile;
    case ERROR_CRC:
    case ERROR_READ_FAULT:
    case ERROR_WRITE_FAULT:
    case ERROR_GEN_FAILURE:
    case ERROR_NOT_READY:
    case ERROR_SECTOR_NOT_FOUND:
        return hardIO;
    default:
        return genericException;
    }
}

int PASCAL CFileException::ErrnoToException(int nErrno)
{
    switch (nErrno)
    {
    case 0:
        return none;
    case EPERM:
    case EACCES:
        return accessDenied;
    case EBADF:
        return invalidFile;
    case EDEADLOCK:
        return sharingViolation;
    case EMFILE:
        return tooManyOpenFiles;
    case ENOENT:
    case ENFILE:
        return fileNotFound;
    case ENOSPC:
        return diskFull;
    case EINVAL:
    case EIO:
        return hardIO;
    default:
        return genericException;
    }
}

void PASCAL CFileException::ThrowOsError(LONG lOsError, LPCTSTR lpszFileName)
{
    throw new CFileException(OsErrorToException(lOsError), lOsError, lpszFileName);
}

void PASCAL CFileException::ThrowErrno(int nErrno, LPCTSTR lpszFileName)
{
    throw new CFileException(ErrnoToException(nErrno), nErrno, lpszFileName);
}

BOOL CFileException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext != NULL)
        *pnHelpContext = 0;
    static const char* const s_texts[] = {
        "No error occurred.",
        "An unknown error occurred while accessing %s.",
        "%s was not found.",
        "%s contains an invalid path.",
        "%s could not be opened because there are too many open files.",
        "Access to %s was denied.",
        "An invalid file handle was associated with %s.",
        "%s could not be removed because it is the current directory.",
        "%s could not be created because the directory is full.",
        "Seek failed on %s.",
        "A hardware I/O error was reported while accessing %s.",
        "A sharing violation occurred while accessing %s.",
        "A locking violation occurred while accessing %s.",
        "Disk full while accessing %s.",
        "An attempt was made to access %s past its end.",
    };
    int nCause = (m_cause >= 0 && m_cause < (int)_countof(s_texts)) ? m_cause : genericException;
    CString strFile = m_strFileName.IsEmpty() ? CString("an unnamed file") : m_strFileName;
    CString strText;
    strText.Format(s_texts[nCause], (LPCTSTR)strFile);
    return CopyMessage(strText, lpszError, nMaxError);
}

// CArchiveException

CArchiveException::CArchiveException(int cause, LPCTSTR lpszArchiveName)
    : m_cause(cause), m_strFileName(lpszArchiveName)
{
}

BOOL CArchiveException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext != NULL)
        *pnHelpContext = 0;
    static const char* const s_texts[] = {
        "No error occurred.",
        "An unexpected error occurred while reading %s.",
        "An attempt was made to write to %s while it was being read.",
        "An attempt was made to access %s past its end.",
        "An attempt was made to read from %s while it was being written.",
        "%s has a bad format.",
        "%s contained an unexpected object.",
        "%s contains an incorrect schema.",
        "The archive buffer of %s is full.",
    };
    int nCause = (m_cause >= 0 && m_cause < (int)_countof(s_texts)) ? m_cause : genericException;
    CString strFile = m_strFileName.IsEmpty() ? CString("an unnamed file") : m_strFileName;
    CString strText;
    strText.Format(s_texts[nCause], (LPCTSTR)strFile);
    return CopyMessage(strText, lpszError, nMaxError);
}

// Throwing

void AFXAPI AfxThrowMemoryException()
{
    // Allocating an exception object may be what failed: use a static one.
    static CMemoryException s_memoryException(FALSE);
    throw &s_memoryException;
}

void AFXAPI AfxThrowNotSupportedException()
{
    throw new CNotSupportedException;
}

void AFXAPI AfxThrowInvalidArgException()
{
    throw new CInvalidArgException;
}

void AFXAPI AfxThrowResourceException()
{
    throw new CResourceException;
}

void AFXAPI AfxThrowUserException()
{
    throw new CUserException;
}

void AFXAPI AfxThrowFileException(int cause, LONG lOsError, LPCTSTR lpszFileName)
{
    throw new CFileException(cause, lOsError, lpszFileName);
}

void AFXAPI AfxThrowArchiveException(int cause, LPCTSTR lpszArchiveName)
{
    throw new CArchiveException(cause, lpszArchiveName);
}
