// Runs every registered UI measure and prints its median. Run under Wine on a
// display: wine bench_ui.exe [name filter]
#include "bench_ui.h"

#include <algorithm>
#include <stdio.h>
#include <string.h>

namespace bench_ui
{
double Now()
{
    static LARGE_INTEGER frequency = {};
    if (frequency.QuadPart == 0)
        QueryPerformanceFrequency(&frequency);
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return (double)counter.QuadPart / (double)frequency.QuadPart;
}

double MedianMs(int nRuns, const std::function<void()>& body)
{
    if (nRuns < 1)
        nRuns = 1;
    body(); // warm-up: first-use caches, fonts, classes
    std::vector<double> times;
    times.reserve(nRuns);
    for (int i = 0; i < nRuns; i++)
    {
        const double t0 = Now();
        body();
        times.push_back((Now() - t0) * 1000.0);
    }
    return Median(times);
}

double Median(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    const size_t n = times.size();
    return n == 0 ? 0.0 : n % 2 ? times[n / 2] : (times[n / 2 - 1] + times[n / 2]) / 2.0;
}

void Pump()
{
    MSG msg;
    while (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
    {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

void Report(const char* pszWhat, double dValue, const char* pszUnit, double dLimit)
{
    if (dLimit > 0)
        printf("  %-60s %10.3f %-3s (target <= %g %s)%s\n", pszWhat, dValue, pszUnit, dLimit, pszUnit,
               dValue <= dLimit ? "" : "  OVER");
    else
        printf("  %-60s %10.3f %s\n", pszWhat, dValue, pszUnit);
    fflush(stdout);
}

std::vector<Entry>& Registry()
{
    static std::vector<Entry> entries;
    return entries;
}
} // namespace bench_ui

int main(int argc, char** argv)
{
    const char* pszFilter = argc > 1 ? argv[1] : nullptr;
    for (const bench_ui::Entry& entry : bench_ui::Registry())
    {
        if (pszFilter && !strstr(entry.pszName, pszFilter))
            continue;
        printf("%s\n", entry.pszName);
        entry.pfn();
    }
    return 0;
}
