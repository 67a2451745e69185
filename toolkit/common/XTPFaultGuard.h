// A guard against processor faults (access violations, illegal
// instructions...) inside calls into system libraries that are known to
// misbehave, such as the visual-styles library. A C++ catch does not see
// these structured exceptions, so the guard installs its own exception
// registration frame around the call: a fault that nothing inside the call
// handles ends the call instead of the program.
//
// Only C code may run between the guard and a fault: the frames in between
// are abandoned, and no destructor of theirs runs. A C++ exception thrown
// inside passes through the guard to the caller.
#pragma once

#include "XTPCommon.h"

#include <type_traits>

// Runs pfnCall(pContext). TRUE when it returned; FALSE when it faulted, in
// which case the fault is traced with lpszWhat.
BOOL AFXAPI XTPCallFaultGuarded(void(AFX_CDECL* pfnCall)(void*), void* pContext, LPCSTR lpszWhat);

// Runs call() under the guard; see XTPCallFaultGuarded.
template<class F>
BOOL XTPFaultGuarded(LPCSTR lpszWhat, F&& call)
{
    typedef typename std::remove_reference<F>::type Callable;
    struct Thunk
    {
        static void AFX_CDECL Run(void* pContext) { (*static_cast<Callable*>(pContext))(); }
    };
    return XTPCallFaultGuarded(&Thunk::Run, &call, lpszWhat);
}
