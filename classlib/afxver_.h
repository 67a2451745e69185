// afxver_.h - calling conventions, linkage decorations and the debugging
// macros of the class library.  Included by afx.h.
#ifndef BM_AFXVER_H
#define BM_AFXVER_H

#include <windows.h>

#ifndef AFXAPI
#define AFXAPI __stdcall
#endif
#ifndef AFX_CDECL
#define AFX_CDECL __cdecl
#endif
#ifndef AFX_INLINE
#define AFX_INLINE inline
#endif
#ifndef AFX_STATIC
#define AFX_STATIC static
#endif
#ifndef AFX_STATIC_DATA
#define AFX_STATIC_DATA static
#endif
#define AFX_NOVTABLE
#define AFX_EXT_CLASS
#define AFX_EXT_API
#define AFX_EXT_DATA
#define AFX_CLASS_EXPORT
#define AFX_CLASS_IMPORT
#define AFX_API_EXPORT
#define AFX_DATA
#define AFX_DATADEF
#define AFX_CORE_DATA
#define AFX_COMDAT
#define AFX_IMPORT_DATA
#define AFX_OLE_DATA
#define AFX_NOINLINE

#ifndef PASCAL
#define PASCAL __stdcall
#endif

// One module state for the whole program: nothing to switch.
#define AFX_MANAGE_STATE(p) ((void)0)

#ifndef DEBUG_NEW
#define DEBUG_NEW new
#endif
#define THIS_FILE __FILE__

// Diagnostics.  ASSERT is active only in _DEBUG builds; VERIFY always
// evaluates its argument; TRACE never does anything.
void AFXAPI AfxAssertFailedLine(const char* lpszFileName, int nLine);

#ifdef _DEBUG
#define ASSERT(f) ((f) ? (void)0 : AfxAssertFailedLine(__FILE__, __LINE__))
#define VERIFY(f) ASSERT(f)
#define DEBUG_ONLY(f) (f)
#else
#define ASSERT(f) ((void)0)
#define VERIFY(f) ((void)(f))
#define DEBUG_ONLY(f) ((void)0)
#endif

#define ASSERT_VALID(pOb) ((void)0)
#define ASSERT_KINDOF(class_name, object) ((void)0)
#define ASSERT_POINTER(p, type) ((void)0)
#define ASSERT_NULL_OR_POINTER(p, type) ((void)0)
#define TRACE(...) ((void)0)
#define TRACE0(sz) ((void)0)
#define TRACE1(sz, p1) ((void)0)
#define TRACE2(sz, p1, p2) ((void)0)
#define TRACE3(sz, p1, p2, p3) ((void)0)
#define UNUSED(x) ((void)(x))
#define UNUSED_ALWAYS(x) ((void)(x))
#define ENSURE(cond) do { if (!(cond)) AfxThrowInvalidArgException(); } while (0)
#define ENSURE_ARG(cond) ENSURE(cond)
#define ENSURE_VALID(p) ENSURE((p) != NULL)

#ifndef _countof
#define _countof(a) (sizeof(a) / sizeof((a)[0]))
#endif

// Plausibility checks on caller pointers (no probing: non-null is valid).
inline BOOL AfxIsValidAddress(const void* p, UINT_PTR nBytes, BOOL bReadWrite = TRUE)
{
    (void)bReadWrite;
    return p != NULL || nBytes == 0;
}
inline BOOL AfxIsValidString(LPCSTR psz, int nLength = -1)
{
    (void)nLength;
    return psz != NULL;
}
inline BOOL AfxIsValidString(LPCWSTR psz, int nLength = -1)
{
    (void)nLength;
    return psz != NULL;
}

void AFXAPI AfxAbort();
void AFXAPI AfxDebugBreak();

#endif // BM_AFXVER_H
