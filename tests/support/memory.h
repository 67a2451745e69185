// Limits on the process's memory for tests that check a refusal comes
// before a big allocation.
#pragma once

#include <windows.h>

#include <cstring>
#include <vector>

namespace testsupport
{
// While alive, no allocation larger than about nLargestBlock bytes can
// succeed: every larger free region of the address space is reserved except
// its first nLargestBlock bytes. Code that asks for what a lying count
// claims then fails with an out-of-memory error instead of quietly getting
// the memory, so a test can tell the two apart.
class CAddressSpaceLimit
{
public:
    explicit CAddressSpaceLimit(SIZE_T nLargestBlock = 16 * 1024 * 1024)
    {
        const SIZE_T nGranularity = 64 * 1024;
        MEMORY_BASIC_INFORMATION mbi;
        BYTE* p = reinterpret_cast<BYTE*>(nGranularity);
        while (::VirtualQuery(p, &mbi, sizeof(mbi)) == sizeof(mbi))
        {
            BYTE* pBase = static_cast<BYTE*>(mbi.BaseAddress);
            BYTE* pEnd = pBase + mbi.RegionSize;
            if (mbi.State == MEM_FREE && mbi.RegionSize > nLargestBlock + nGranularity)
            {
                UINT_PTR nStart = (reinterpret_cast<UINT_PTR>(pBase) + nLargestBlock + nGranularity - 1) &
                                  ~(UINT_PTR)(nGranularity - 1);
                BYTE* pStart = reinterpret_cast<BYTE*>(nStart);
                if (pStart < pEnd)
                {
                    void* pReserved = ::VirtualAlloc(pStart, (SIZE_T)(pEnd - pStart), MEM_RESERVE, PAGE_NOACCESS);
                    if (pReserved != NULL)
                        m_reserved.push_back(pReserved);
                }
            }
            if (pEnd <= p)
                break;
            p = pEnd;
        }
    }
    ~CAddressSpaceLimit()
    {
        for (void* pReserved : m_reserved)
            ::VirtualFree(pReserved, 0, MEM_RELEASE);
    }

private:
    CAddressSpaceLimit(const CAddressSpaceLimit&);
    CAddressSpaceLimit& operator=(const CAddressSpaceLimit&);
    std::vector<void*> m_reserved;
};

// The most memory a process (this one by default; another one opened with
// PROCESS_QUERY_INFORMATION and PROCESS_VM_READ) has held so far: the
// larger of its peak working set and its peak private bytes; 0 when the
// system does not say.
inline SIZE_T PeakProcessMemory(HANDLE hProcess = ::GetCurrentProcess())
{
    struct Counters
    {
        DWORD cb;
        DWORD PageFaultCount;
        SIZE_T PeakWorkingSetSize;
        SIZE_T WorkingSetSize;
        SIZE_T QuotaPeakPagedPoolUsage;
        SIZE_T QuotaPagedPoolUsage;
        SIZE_T QuotaPeakNonPagedPoolUsage;
        SIZE_T QuotaNonPagedPoolUsage;
        SIZE_T PagefileUsage;
        SIZE_T PeakPagefileUsage;
    };
    typedef BOOL(WINAPI * PFNGETMEMORYINFO)(HANDLE, Counters*, DWORD);
    FARPROC pfnProc = ::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "K32GetProcessMemoryInfo");
    PFNGETMEMORYINFO pfn = NULL;
    static_assert(sizeof(pfn) == sizeof(pfnProc), "entry points are of one size");
    memcpy(&pfn, &pfnProc, sizeof(pfn));
    Counters counters;
    ZeroMemory(&counters, sizeof(counters));
    counters.cb = sizeof(counters);
    if (pfn == NULL || !pfn(hProcess, &counters, sizeof(counters)))
        return 0;
    return counters.PeakWorkingSetSize > counters.PeakPagefileUsage ? counters.PeakWorkingSetSize
                                                                     : counters.PeakPagefileUsage;
}
} // namespace testsupport
