// The UI benchmark program's small registry: each area of the program adds a
// source file tools/bench_ui/<area>.cpp that registers its measures with
// BM_UI_BENCH; bench_ui.exe runs them all (or those whose name contains the
// first argument) and prints the median of each.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace bench_ui
{
// Seconds from a fine clock.
double Now();

// Runs body nRuns times (after one warm-up run) and returns the median time
// of one run in milliseconds.
double MedianMs(int nRuns, const std::function<void()>& body);

// The median of times (0 for none).
double Median(std::vector<double> times);

// Dispatches every message waiting in the thread's queue.
void Pump();

// Prints one result line: "<area>: <what> ... <value> <unit> (target <limit>)".
void Report(const char* pszWhat, double dValue, const char* pszUnit, double dLimit);

struct Entry
{
    const char* pszName;
    void (*pfn)();
};
std::vector<Entry>& Registry();

struct Registrar
{
    Registrar(const char* pszName, void (*pfn)()) { Registry().push_back({pszName, pfn}); }
};
} // namespace bench_ui

#define BM_UI_BENCH(name)                                                   \
    static void name();                                                     \
    static ::bench_ui::Registrar name##_registrar(#name, &name);            \
    static void name()
