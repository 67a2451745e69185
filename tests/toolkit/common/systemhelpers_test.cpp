// System helpers: versions, modules, monitors, critical sections and
// reference holders.
#include <gtest/gtest.h>

#include "support/canvas.h"
#include "XTPSystemHelpers.h"
#include <process.h>

TEST(OSVersion, NamedTests)
{
    CXTPOSVersionInfo xp(VER_PLATFORM_WIN32_NT, 5, 1);
    EXPECT_TRUE(xp.IsWinXP());
    EXPECT_TRUE(xp.IsWinXPOrGreater());
    EXPECT_TRUE(xp.IsWin2KOrGreater());
    EXPECT_TRUE(xp.IsClearTypeTextQualitySupported());
    EXPECT_FALSE(xp.IsWin2K());
    EXPECT_FALSE(xp.IsWin95());

    CXTPOSVersionInfo w2k(VER_PLATFORM_WIN32_NT, 5, 0);
    EXPECT_TRUE(w2k.IsWin2K());
    EXPECT_TRUE(w2k.IsWin2KOrGreater());
    EXPECT_FALSE(w2k.IsWinXPOrGreater());

    CXTPOSVersionInfo vista(VER_PLATFORM_WIN32_NT, 6, 0);
    EXPECT_TRUE(vista.IsWinXPOrGreater());
    EXPECT_FALSE(vista.IsWinXP());
    EXPECT_TRUE(vista.IsVersionOrGreater(5, 2));
    EXPECT_FALSE(vista.IsVersionOrGreater(6, 1));
    EXPECT_TRUE(vista.IsVersion(6, 0));

    CXTPOSVersionInfo nt4(VER_PLATFORM_WIN32_NT, 4, 0);
    EXPECT_TRUE(nt4.IsWinNT4());
    EXPECT_FALSE(nt4.IsWin2KOrGreater());

    CXTPOSVersionInfo win95(VER_PLATFORM_WIN32_WINDOWS, 4, 0);
    CXTPOSVersionInfo win98(VER_PLATFORM_WIN32_WINDOWS, 4, 10);
    EXPECT_TRUE(win95.IsWin95());
    EXPECT_FALSE(win95.IsWin98());
    EXPECT_TRUE(win98.IsWin98());
    EXPECT_FALSE(win98.IsWin95());
    EXPECT_FALSE(win98.IsWinNT4());
    EXPECT_FALSE(win98.IsWin2KOrGreater());

    CXTPOSVersionInfo* pShared = XTPOSVersionInfo();
    EXPECT_EQ(pShared, XTPOSVersionInfo());
    EXPECT_EQ(148u, pShared->dwOSVersionInfoSize);
}

TEST(ModuleHandle, BorrowedModulesAreNotFreed)
{
    HMODULE hKernel = ::GetModuleHandleA("kernel32.dll");
    {
        CXTPModuleHandle mod("kernel32.dll");
        EXPECT_EQ(hKernel, mod.GetHandle());
        EXPECT_EQ(CXTPModuleHandle::moduleBorrowed, mod.GetKind());
        EXPECT_EQ(0u, mod.GetVersion());  // no DllGetVersion
        FARPROC pfn = NULL;
        EXPECT_TRUE(mod.GetProcAddress(&pfn, "GetTickCount"));
        EXPECT_TRUE(pfn != NULL);
        // A minimum version cannot be met without a version.
        EXPECT_FALSE(mod.GetProcAddress(&pfn, "GetTickCount", MAKELONG(0, 1)));
        EXPECT_TRUE(pfn == NULL);
    }
    EXPECT_EQ(hKernel, ::GetModuleHandleA("kernel32.dll"));

    CXTPModuleHandle empty;
    FARPROC pfn = (FARPROC)1;
    EXPECT_FALSE(empty.GetProcAddress(&pfn, "GetTickCount"));
    EXPECT_TRUE(empty.FreeLibrary());
    EXPECT_FALSE(CXTPModuleHandle("no-such-module-f1.dll").GetHandle() != NULL);
}

TEST(ModuleHandle, LoadedModulesAreFreed)
{
    const char* candidates[] = { "cabinet.dll", "mscms.dll", "msacm32.dll", "dciman32.dll", "mpr.dll" };
    const char* lpszName = NULL;
    for (const char* p : candidates)
    {
        if (::GetModuleHandleA(p) == NULL)
        {
            lpszName = p;
            break;
        }
    }
    if (lpszName == NULL)
        GTEST_SKIP() << "every candidate module is loaded already";

    {
        CXTPModuleHandle mod(lpszName);
        if (mod.GetHandle() == NULL)
            GTEST_SKIP() << "module not available";
        EXPECT_EQ(CXTPModuleHandle::moduleLoaded, mod.GetKind());
        EXPECT_NE(nullptr, ::GetModuleHandleA(lpszName));
    }
    EXPECT_EQ(nullptr, ::GetModuleHandleA(lpszName));
}

TEST(ModuleHandle, MinimumVersionIsComparedMajorThenMinor)
{
    CXTPModuleHandle mod("COMCTL32.DLL");
    DWORD dwVersion = mod.GetVersion();
    if (dwVersion == 0)
        GTEST_SKIP() << "COMCTL32 has no DllGetVersion here";
    FARPROC pfn = NULL;
    EXPECT_TRUE(mod.GetProcAddress(&pfn, "InitCommonControlsEx", dwVersion));
    EXPECT_TRUE(pfn != NULL);
    EXPECT_FALSE(mod.GetProcAddress(&pfn, "InitCommonControlsEx", MAKELONG(LOWORD(dwVersion) + 1, HIWORD(dwVersion))));
    EXPECT_TRUE(pfn == NULL);
    EXPECT_FALSE(mod.GetProcAddress(&pfn, "InitCommonControlsEx", MAKELONG(0, HIWORD(dwVersion) + 1)));
    EXPECT_TRUE(mod.GetProcAddress(&pfn, "InitCommonControlsEx", MAKELONG(99, HIWORD(dwVersion) - 1)));
    EXPECT_EQ(dwVersion, XTPGetComCtlVersion());
}

TEST(ComCtlVersion, AtLeastFour)
{
    EXPECT_GE(XTPGetComCtlVersion(), (DWORD)MAKELONG(0, 4));
    EXPECT_EQ(XTPGetComCtlVersion(), XTPGetComCtlVersion());
}

TEST(MonitorFunctions, WorkAreas)
{
    CRect rcDesktop;
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &rcDesktop, 0);

    CXTPMonitorFunctions* pMonitors = XTPMonitorFunctions();
    EXPECT_EQ(pMonitors, XTPMonitorFunctions());
    EXPECT_TRUE(pMonitors->HasEntries());
    // One monitor here, whose work area is the desktop's.
    EXPECT_EQ(rcDesktop, pMonitors->GetWorkAreaFromPoint(CPoint(rcDesktop.left + 1, rcDesktop.top + 1)));
    EXPECT_EQ(rcDesktop, pMonitors->GetWorkAreaFromRect(CRect(10, 10, 20, 20)));
    EXPECT_EQ(rcDesktop, pMonitors->GetWorkAreaAtCursor());
    EXPECT_EQ(rcDesktop, pMonitors->GetWorkAreaFromWnd(NULL));
    // A point on no monitor falls back to the desktop work area.
    EXPECT_EQ(rcDesktop, pMonitors->GetWorkAreaFromPoint(CPoint(-30000, -30000)));

    CXTPMonitorFunctions missing("kernel32.dll");
    EXPECT_FALSE(missing.HasEntries());
    EXPECT_TRUE(missing.m_pfnMonitorFromPoint == NULL);
    EXPECT_EQ(rcDesktop, missing.GetWorkAreaFromPoint(CPoint(5, 5)));
    EXPECT_EQ(rcDesktop, missing.GetWorkAreaFromRect(CRect(0, 0, 5, 5)));
    EXPECT_EQ(rcDesktop, missing.GetWorkAreaFromWindow(::GetDesktopWindow()));
    EXPECT_EQ(rcDesktop, missing.GetWorkAreaAtCursor());
}

namespace
{
struct CCounterData
{
    CXTPCriticalSection cs;
    volatile long nValue = 0;
};

unsigned __stdcall CountThread(void* p)
{
    CCounterData* pData = (CCounterData*)p;
    for (int i = 0; i < 20000; i++)
    {
        CXTPSectionLock lock(&pData->cs);
        long n = pData->nValue;
        pData->nValue = n + 1;
    }
    return 0;
}

class CCountedTarget : public CCmdTarget
{
public:
    explicit CCountedTarget(bool* pDeleted) : m_pDeleted(pDeleted) {}
    ~CCountedTarget() { *m_pDeleted = true; }
    bool* m_pDeleted;
};
}

TEST(CriticalSection, ScopedLockSerialisesThreads)
{
    CCounterData data;
    HANDLE h[2];
    for (int i = 0; i < 2; i++)
        h[i] = (HANDLE)_beginthreadex(NULL, 0, CountThread, &data, 0, NULL);
    ::WaitForMultipleObjects(2, h, TRUE, 30000);
    ::CloseHandle(h[0]);
    ::CloseHandle(h[1]);
    EXPECT_EQ(40000, data.nValue);

    CXTPSectionLock lock(&data.cs);
    lock.Unlock();
    lock.Unlock();  // a second unlock is harmless
    lock.Lock();
}

TEST(ReferenceHolders, ReleaseAndDelete)
{
    bool bDeleted = false;
    {
        CXTPInternalReleasePtr<CCountedTarget> ptr(new CCountedTarget(&bDeleted));
        ptr->InternalAddRef();
        ptr->InternalRelease();
        EXPECT_FALSE(bDeleted);
    }
    EXPECT_TRUE(bDeleted);

    bDeleted = false;
    {
        CXTPAutoDeletePtr<CCountedTarget> ptr(new CCountedTarget(&bDeleted));
    }
    EXPECT_TRUE(bDeleted);
    CXTPInternalReleasePtr<CCountedTarget> none;
    CXTPAutoDeletePtr<CCountedTarget> noneToo;
}
