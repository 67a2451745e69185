// Counting GDI objects in tests.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace testsupport
{
// The highest GDI handle index in use after 64 fresh allocations. Freed
// handle slots are reused first (the last freed first), so while at most 64
// slots are free the value stays put across code that frees every GDI object
// it makes and grows by one for each object leaked; with more free slots it
// also moves with the order of the frees (TakeGdiCensus counts exactly).
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

// The GDI objects the process holds, by kind (OBJ_PEN .. OBJ_COLORSPACE).
// Exact where GdiHighWater only bounds: once more than 64 handle slots are
// free, the high-water value depends on which slots were freed last, so
// code that frees as much as it makes can still move it up or down.
// The count walks Wine's handle table: a handle whose high word is 0 names
// its slot whatever the slot's generation. bValid says whether that held
// (a brush made for the check was counted), so a count that sees nothing
// fails instead of passing.
struct GdiCensus
{
    int nByKind[16] = {};
    bool bValid = false;

    int Total() const
    {
        int nTotal = 0;
        for (int n : nByKind)
            nTotal += n;
        return nTotal;
    }
    // "kind: before -> after" for every kind whose count differs.
    std::string Difference(const GdiCensus& after) const
    {
        static const char* const s_names[16] = { "?",       "pens",       "brushes", "DCs",
                                                 "meta DCs", "palettes",  "fonts",   "bitmaps",
                                                 "regions", "metafiles",  "memory DCs", "ext pens",
                                                 "enh meta DCs", "enh metafiles", "colour spaces", "?" };
        std::string str;
        for (int i = 0; i < 16; i++)
        {
            if (nByKind[i] == after.nByKind[i])
                continue;
            str += std::string(str.empty() ? "" : ", ") + s_names[i] + ": " + std::to_string(nByKind[i]) +
                   " -> " + std::to_string(after.nByKind[i]);
        }
        return str;
    }
};

inline void CountGdiObjects(GdiCensus& census)
{
    for (int& n : census.nByKind)
        n = 0;
    for (UINT_PTR i = 1; i < 0x10000; i++)
    {
        DWORD dwKind = ::GetObjectType((HGDIOBJ)i);
        if (dwKind != 0 && dwKind < 16)
            census.nByKind[dwKind]++;
    }
}

// The GDI objects of another process (a program the test started), by kind,
// read from the GDI handle table its PEB names (GetGuiResources answers 0
// under Wine, and GetObjectType sees only this process's handles). Each
// entry in use carries its kind in the low seven bits of its unique word;
// Wine keeps one table per process. bValid: the table was read and holds
// the process's stock objects.
inline GdiCensus TakeGdiCensusOf(HANDLE hProcess)
{
#pragma pack(push, 1)
    struct Entry
    {
        ULONGLONG qwObject;
        DWORD dwOwner;
        WORD wUnique;
        BYTE bType, bFlags;
        ULONGLONG qwUser;
    };
#pragma pack(pop)
    struct BasicInformation
    {
        LONG_PTR nExitStatus;
        BYTE* pPeb;
        ULONG_PTR reserved[4];
    } info = {};
    typedef LONG(WINAPI * PFN_QUERY)(HANDLE, int, PVOID, ULONG, PULONG);
    PFN_QUERY pfnQuery = NULL;
    *reinterpret_cast<FARPROC*>(&pfnQuery) =
        ::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess");
    GdiCensus census;
    const SIZE_T nTableOffset = sizeof(void*) == 4 ? 0x94 : 0xF8;   // PEB.GdiSharedHandleTable
    void* pTable = NULL;
    SIZE_T nRead = 0;
    if (pfnQuery == NULL || pfnQuery(hProcess, 0, &info, sizeof(info), NULL) != 0 ||
        !::ReadProcessMemory(hProcess, info.pPeb + nTableOffset, &pTable, sizeof(pTable), &nRead) || pTable == NULL)
        return census;
    std::vector<Entry> entries(0x10000);
    if (!::ReadProcessMemory(hProcess, pTable, entries.data(), entries.size() * sizeof(Entry), &nRead))
        return census;
    // Wine's kinds (the handle table's own numbering) as the OBJ_ kinds;
    // any other is one of the system's own (surfaces).
    static const BYTE s_kinds[][2] = {
        {0x01, OBJ_DC},     {0x41, OBJ_MEMDC},  {0x21, OBJ_ENHMETADC}, {0x66, OBJ_METADC},   {0x04, OBJ_REGION},
        {0x08, OBJ_PAL},    {0x09, OBJ_BITMAP}, {0x0a, OBJ_FONT},      {0x10, OBJ_BRUSH},    {0x30, OBJ_PEN},
        {0x50, OBJ_EXTPEN}, {0x26, OBJ_METAFILE}, {0x46, OBJ_ENHMETAFILE},
    };
    for (const Entry& entry : entries)
    {
        if (entry.bType == 0)
            continue;
        int nKind = 15;
        for (const auto& kind : s_kinds)
            if (kind[0] == (entry.wUnique & 0x7f))
                nKind = kind[1];
        census.nByKind[nKind]++;
    }
    census.bValid = census.nByKind[OBJ_BRUSH] > 0 && census.nByKind[OBJ_FONT] > 0;
    return census;
}

inline GdiCensus TakeGdiCensus()
{
    GdiCensus census;
    CountGdiObjects(census);
    HBRUSH hProbe = ::CreateSolidBrush(RGB(1, 2, 3));
    GdiCensus withProbe;
    CountGdiObjects(withProbe);
    ::DeleteObject(hProbe);
    census.bValid = withProbe.nByKind[OBJ_BRUSH] == census.nByKind[OBJ_BRUSH] + 1;
    return census;
}
} // namespace testsupport
