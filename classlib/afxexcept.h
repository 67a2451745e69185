// afxexcept.h - the exception classes.  Exceptions are thrown by pointer
// ("throw new CFileException(...)"), caught as CException* and released with
// Delete().  TRY/CATCH/END_CATCH delete the caught exception at the end of
// the handler unless it is re-thrown with THROW_LAST.  Included by afx.h.
#ifndef BM_AFXEXCEPT_H
#define BM_AFXEXCEPT_H

#include "afxobj.h"
#include "afxstr.h"

class CException : public CObject
{
    DECLARE_DYNAMIC(CException)
public:
    CException();
    explicit CException(BOOL bAutoDelete);
    virtual ~CException();

    // Deletes the exception if it was allocated (static ones stay).
    void Delete();

    virtual BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) const;
    // Shows the error message through the report-error procedure; returns its answer.
    virtual int ReportError(UINT nType = MB_OK, UINT nMessageID = 0) const;

    BOOL m_bAutoDelete;
};

// Traces an exception caught where it cannot go on (a callback barrier, a
// destructor): where that was and what the exception says. e is NULL for
// one that is not a CException. Live where TRACE is (debug builds).
void AFXAPI AfxTraceException(const char* lpszWhere, const CException* e);
#ifdef _DEBUG
#define TRACE_EXCEPTION(where, e) AfxTraceException(where, e)
#else
#define TRACE_EXCEPTION(where, e) ((void)(e))
#endif

// Exceptions that carry no data beyond their kind.
class CSimpleException : public CException
{
    DECLARE_DYNAMIC(CSimpleException)
public:
    CSimpleException() {}
    explicit CSimpleException(BOOL bAutoDelete) : CException(bAutoDelete) {}
    virtual BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) const;
protected:
    virtual LPCTSTR GetDefaultMessage() const;
};

class CMemoryException : public CSimpleException
{
    DECLARE_DYNAMIC(CMemoryException)
public:
    CMemoryException() {}
    explicit CMemoryException(BOOL bAutoDelete) : CSimpleException(bAutoDelete) {}
protected:
    virtual LPCTSTR GetDefaultMessage() const;
};

class CNotSupportedException : public CSimpleException
{
    DECLARE_DYNAMIC(CNotSupportedException)
public:
    CNotSupportedException() {}
    explicit CNotSupportedException(BOOL bAutoDelete) : CSimpleException(bAutoDelete) {}
protected:
    virtual LPCTSTR GetDefaultMessage() const;
};

class CInvalidArgException : public CSimpleException
{
    DECLARE_DYNAMIC(CInvalidArgException)
public:
    CInvalidArgException() {}
    explicit CInvalidArgException(BOOL bAutoDelete) : CSimpleException(bAutoDelete) {}
protected:
    virtual LPCTSTR GetDefaultMessage() const;
};

class CResourceException : public CSimpleException
{
    DECLARE_DYNAMIC(CResourceException)
public:
    CResourceException() {}
    explicit CResourceException(BOOL bAutoDelete) : CSimpleException(bAutoDelete) {}
protected:
    virtual LPCTSTR GetDefaultMessage() const;
};

// Thrown after the user has been told already; reports nothing.
class CUserException : public CSimpleException
{
    DECLARE_DYNAMIC(CUserException)
public:
    CUserException() {}
    explicit CUserException(BOOL bAutoDelete) : CSimpleException(bAutoDelete) {}
protected:
    virtual LPCTSTR GetDefaultMessage() const;
};

class CFileException : public CException
{
    DECLARE_DYNAMIC(CFileException)
public:
    enum
    {
        none,
        genericException,
        generic = genericException,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        invalidFile,
        removeCurrentDir,
        directoryFull,
        badSeek,
        hardIO,
        sharingViolation,
        lockViolation,
        diskFull,
        endOfFile
    };

    explicit CFileException(int cause = CFileException::none, LONG lOsError = -1,
                            LPCTSTR lpszArchiveName = NULL);

    void Init(int cause, LONG lOsError = -1, LPCTSTR lpszArchiveName = NULL)
    { m_cause = cause; m_lOsError = lOsError; m_strFileName = lpszArchiveName; }

    static int PASCAL OsErrorToException(LONG lOsError);
    static int PASCAL ErrnoToException(int nErrno);
    [[noreturn]] static void PASCAL ThrowOsError(LONG lOsError, LPCTSTR lpszFileName = NULL);
    [[noreturn]] static void PASCAL ThrowErrno(int nErrno, LPCTSTR lpszFileName = NULL);

    virtual BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) const;

    int m_cause;
    LONG m_lOsError;
    CString m_strFileName;
};

class CArchiveException : public CException
{
    DECLARE_DYNAMIC(CArchiveException)
public:
    enum
    {
        none,
        genericException,
        generic = genericException,
        readOnly,
        endOfFile,
        writeOnly,
        badIndex,
        badClass,
        badSchema,
        bufferFull
    };

    explicit CArchiveException(int cause = CArchiveException::none, LPCTSTR lpszArchiveName = NULL);

    virtual BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) const;

    int m_cause;
    CString m_strFileName;
};

[[noreturn]] void AFXAPI AfxThrowMemoryException();
[[noreturn]] void AFXAPI AfxThrowNotSupportedException();
[[noreturn]] void AFXAPI AfxThrowInvalidArgException();
[[noreturn]] void AFXAPI AfxThrowResourceException();
[[noreturn]] void AFXAPI AfxThrowUserException();
[[noreturn]] void AFXAPI AfxThrowFileException(int cause, LONG lOsError = -1, LPCTSTR lpszFileName = NULL);
[[noreturn]] void AFXAPI AfxThrowArchiveException(int cause, LPCTSTR lpszArchiveName = NULL);

// Where CException::ReportError sends its text.  The default shows a message
// box; the window layer and tests replace it.  Returns the previous procedure.
typedef int (AFXAPI* AFX_REPORT_ERROR_PROC)(LPCTSTR lpszText, UINT nType);
AFX_REPORT_ERROR_PROC AFXAPI AfxSetReportErrorProc(AFX_REPORT_ERROR_PROC pfn);

// Deletes the exception caught by a CATCH block when the handler ends,
// unless THROW_LAST passed it on or the handler deleted it itself.
struct AFX_EXCEPTION_LINK
{
    AFX_EXCEPTION_LINK();
    ~AFX_EXCEPTION_LINK();
    AFX_EXCEPTION_LINK(const AFX_EXCEPTION_LINK&) = delete;
    AFX_EXCEPTION_LINK& operator=(const AFX_EXCEPTION_LINK&) = delete;
    CException* m_pException;
    AFX_EXCEPTION_LINK* m_pLinkPrev;
};

#define TRY { AFX_EXCEPTION_LINK _afxExceptionLink; try {
#define CATCH(class, e) } catch (class* e) { _afxExceptionLink.m_pException = e;
#define AND_CATCH(class, e) } catch (class* e) { _afxExceptionLink.m_pException = e;
#define END_CATCH } }
#define CATCH_ALL(e) } catch (CException* e) { _afxExceptionLink.m_pException = e;
#define AND_CATCH_ALL(e) } catch (CException* e) { _afxExceptionLink.m_pException = e;
#define END_CATCH_ALL } }
#define END_TRY } catch (CException* e) { _afxExceptionLink.m_pException = e; } }
#define THROW(e) throw e
#define THROW_LAST() do { _afxExceptionLink.m_pException = NULL; throw; } while (0)

#endif // BM_AFXEXCEPT_H
