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

// Diagnostics.
//  - TRACE(format, ...) writes one printf-formatted message to the debugger
//    output. It is for failures that are handled (a caught exception, a
//    refused file) and should still be heard by whoever runs the program.
//  - ASSERT(f) checks a programmer's promise (a valid argument, a state the
//    code relies on), never input from outside: a failed check is traced as
//    "Assertion failed: file(line)" and breaks into an attached debugger.
//  - VERIFY(f) always evaluates f and checks it like ASSERT.
// All three are active in debug builds (_DEBUG) and compile to nothing
// otherwise, except that VERIFY still evaluates its argument.
void AFXAPI AfxAssertFailedLine(const char* lpszFileName, int nLine);
void AFX_CDECL AfxTrace(const char* lpszFormat, ...) __attribute__((format(printf, 1, 2)));

// Sees every traced line (tests, a log window) before it goes to the
// debugger output; NULL removes it. Returns the previous one.
typedef void(AFXAPI* AFX_TRACE_HOOK)(const char* lpszLine);
AFX_TRACE_HOOK AFXAPI AfxSetTraceHook(AFX_TRACE_HOOK pfnHook);

#ifdef _DEBUG
#define ASSERT(f) ((f) ? (void)0 : AfxAssertFailedLine(__FILE__, __LINE__))
#define VERIFY(f) ASSERT(f)
#define DEBUG_ONLY(f) (f)
#define TRACE(...) AfxTrace(__VA_ARGS__)
#else
#define ASSERT(f) ((void)0)
#define VERIFY(f) ((void)(f))
#define DEBUG_ONLY(f) ((void)0)
#define TRACE(...) ((void)0)
#endif
#define TRACE0(sz) TRACE("%s", sz)
#define TRACE1(sz, p1) TRACE(sz, p1)
#define TRACE2(sz, p1, p2) TRACE(sz, p1, p2)
#define TRACE3(sz, p1, p2, p3) TRACE(sz, p1, p2, p3)

#define ASSERT_VALID(pOb) ((void)0)
#define ASSERT_KINDOF(class_name, object) ((void)0)
#define ASSERT_POINTER(p, type) ((void)0)
#define ASSERT_NULL_OR_POINTER(p, type) ((void)0)
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
