// Counting GDI objects in tests.
#pragma once

#include <windows.h>

namespace testsupport
{
// The highest GDI handle index in use after 64 fresh allocations. Freed
// handle slots are reused first, so the value stays put across code that frees
// every GDI object it makes and grows by one for each object leaked.
// (GetGuiResources cannot be used: it always answers 0 under Wine.)
inline DWORD GdiHighWater()
{
    HBRUSH brushes[64];
    DWORD dwMax = 0;
    for (int i = 0; i < 64; i++)
    {
        brushes[i] = ::CreateSolidBrush(RGB(i, 0, 0));
        DWORD dwIndex = LOWORD((DWORD_PTR)brushes[i]);
        if (dwIndex > dwMax)
            dwMax = dwIndex;
    }
    for (int i = 0; i < 64; i++)
        ::DeleteObject(brushes[i]);
    return dwMax;
}
} // namespace testsupport
