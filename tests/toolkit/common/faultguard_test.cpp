// The fault guard: a processor fault inside a guarded call ends the call,
// not the program; calls that return, and C++ exceptions, are left alone;
// guards nest.
#include <gtest/gtest.h>

#include "XTPFaultGuard.h"

#include <string>
#include <vector>

namespace
{
int* volatile s_pNowhere = NULL;

void WriteNowhere()
{
    *s_pNowhere = 1;
}

std::vector<std::string> s_traced;
void AFXAPI RecordTrace(const char* lpszLine)
{
    s_traced.push_back(lpszLine);
}
} // namespace

TEST(FaultGuard, AFaultEndsTheCallAndTheProgramGoesOn)
{
    s_traced.clear();
    AFX_TRACE_HOOK pfnOld = AfxSetTraceHook(RecordTrace);
    volatile int nReached = 0;   // written before the fault: kept in memory
    EXPECT_FALSE(XTPFaultGuarded("WriteNowhere", [&]() {
        nReached = 1;
        WriteNowhere();
        nReached = 2;
    }));
    AfxSetTraceHook(pfnOld);
    EXPECT_EQ(1, nReached);
#ifdef _DEBUG
    ASSERT_EQ(1u, s_traced.size());
    EXPECT_EQ(0u, s_traced[0].find("WriteNowhere: fault 0xC0000005")) << s_traced[0];
#endif

    // The guard leaves the thread as it found it: a second fault is caught
    // the same way, and a call that returns reports success.
    EXPECT_FALSE(XTPFaultGuarded("again", []() { WriteNowhere(); }));
    EXPECT_TRUE(XTPFaultGuarded("fine", [&]() { nReached = 3; }));
    EXPECT_EQ(3, nReached);
}

TEST(FaultGuard, InnerGuardsTakeTheirOwnFaults)
{
    bool bInnerFailed = false;
    bool bOuterGoesOn = false;
    EXPECT_TRUE(XTPFaultGuarded("outer", [&]() {
        bInnerFailed = !XTPFaultGuarded("inner", []() { WriteNowhere(); });
        bOuterGoesOn = true;
    }));
    EXPECT_TRUE(bInnerFailed);
    EXPECT_TRUE(bOuterGoesOn);

    // An inner guard that returned leaves the outer one in charge.
    EXPECT_FALSE(XTPFaultGuarded("outer", []() {
        XTPFaultGuarded("inner", []() {});
        WriteNowhere();
    }));
}

TEST(FaultGuard, CppExceptionsPassThrough)
{
    // A C++ exception is not a fault: it leaves the guard for the caller's
    // catch, which is where the program handles it.
    bool bCaught = false;
    try
    {
        XTPFaultGuarded("throws", []() { throw 5; });
    }
    catch (int n)
    {
        bCaught = n == 5;
    }
    EXPECT_TRUE(bCaught);
    EXPECT_FALSE(XTPFaultGuarded("after", []() { WriteNowhere(); }));
}
