// The fault guard: an exception registration frame of our own on the
// thread's frame chain (fs:[0] on 32-bit x86). Handlers inside the guarded
// call see a fault first; one that reaches our frame resumes at the guard
// through a jump buffer kept beside the registration record.
#include "XTPFaultGuard.h"

#if defined(__i386__)

namespace
{
// The registration record the system walks (the first two fields), and what
// the guard needs to resume.
typedef EXCEPTION_DISPOSITION(AFX_CDECL* PFNGUARDHANDLER)(EXCEPTION_RECORD*, void*, CONTEXT*, void*);

struct CGuardFrame
{
    CGuardFrame* pNext;
    PFNGUARDHANDLER pfnHandler;
    void* jmpResume[5];
    DWORD dwCode;
    void* pAddress;
};

CGuardFrame* ReadFrameChain()
{
    CGuardFrame* pFrame;
    __asm__ __volatile__("movl %%fs:0, %0" : "=r"(pFrame));
    return pFrame;
}

void WriteFrameChain(CGuardFrame* pFrame)
{
    __asm__ __volatile__("movl %0, %%fs:0" : : "r"(pFrame) : "memory");
}

// Called by the system's exception dispatcher for an exception that the
// frames inside the guarded call did not handle.
extern "C" EXCEPTION_DISPOSITION AFX_CDECL XTPFaultGuardHandler(EXCEPTION_RECORD* pRecord, void* pEstablisherFrame,
                                                                CONTEXT* /*pContext*/, void* /*pDispatcherContext*/)
{
    // Unwinding passes, and notices that are not errors (debugger output,
    // warnings), go on to the outer frames.
    if ((pRecord->ExceptionFlags & (EXCEPTION_UNWINDING | EXCEPTION_EXIT_UNWIND)) != 0 ||
        (pRecord->ExceptionCode & 0xC0000000) != 0xC0000000)
    {
        return ExceptionContinueSearch;
    }
    CGuardFrame* pFrame = static_cast<CGuardFrame*>(pEstablisherFrame);
    pFrame->dwCode = pRecord->ExceptionCode;
    pFrame->pAddress = pRecord->ExceptionAddress;
    __builtin_longjmp(pFrame->jmpResume, 1);
}
} // namespace

BOOL AFXAPI XTPCallFaultGuarded(void(AFX_CDECL* pfnCall)(void*), void* pContext, LPCSTR lpszWhat)
{
    CGuardFrame frame;
    frame.pfnHandler = &XTPFaultGuardHandler;
    frame.dwCode = 0;
    frame.pAddress = NULL;
    frame.pNext = ReadFrameChain();
    if (__builtin_setjmp(frame.jmpResume) == 0)
    {
        WriteFrameChain(&frame);
        try
        {
            pfnCall(pContext);
        }
        catch (...)
        {
            // A C++ exception leaves the guard for the caller's handler; the
            // registration record must not outlive this frame.
            WriteFrameChain(frame.pNext);
            throw;
        }
        WriteFrameChain(frame.pNext);
        return TRUE;
    }
    // Resumed from the handler: the frames of the call are gone, so the
    // chain goes back to what it was before the guard.
    WriteFrameChain(frame.pNext);
    TRACE("%s: fault 0x%08lX at %p inside the call; it failed\n", lpszWhat != NULL ? lpszWhat : "guarded call",
          (unsigned long)frame.dwCode, frame.pAddress);
    return FALSE;
}

#else

// Other processors keep their exception handlers in tables, not on a frame
// chain; there the call runs unguarded.
BOOL AFXAPI XTPCallFaultGuarded(void(AFX_CDECL* pfnCall)(void*), void* pContext, LPCSTR /*lpszWhat*/)
{
    pfnCall(pContext);
    return TRUE;
}

#endif
