// A program (an .exe) loaded as a module by LoadLibrary, for tests of what it
// exports. Wine maps such a program away from its preferred base when that
// is taken, but neither applies its base relocations nor binds its imports:
// those are libraries' steps. Until they are done the program's code reaches
// its data at the linked addresses and calls through unbound import slots.
#pragma once

#include <windows.h>

#include <string>

namespace testsupport
{
// Applies the module's base relocations when the loader has not (the image
// base in its mapped header still differs from where it lies).
inline bool ApplyBaseRelocations(HMODULE hModule, std::string& strError)
{
    BYTE* pBase = reinterpret_cast<BYTE*>(hModule);
    IMAGE_DOS_HEADER* pDos = reinterpret_cast<IMAGE_DOS_HEADER*>(pBase);
    if (pDos->e_magic != IMAGE_DOS_SIGNATURE)
    {
        strError = "not an image";
        return false;
    }
    IMAGE_NT_HEADERS* pNt = reinterpret_cast<IMAGE_NT_HEADERS*>(pBase + pDos->e_lfanew);
    const ULONG_PTR nLinked = (ULONG_PTR)pNt->OptionalHeader.ImageBase;
    const LONG_PTR nDelta = (LONG_PTR)((ULONG_PTR)pBase - nLinked);
    if (nDelta == 0)
        return true;
    const IMAGE_DATA_DIRECTORY& dir = pNt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_BASERELOC];
    if (dir.VirtualAddress == 0 || dir.Size == 0)
    {
        strError = "the program lies away from its base and has no relocations";
        return false;
    }
    BYTE* pBlock = pBase + dir.VirtualAddress;
    BYTE* const pEnd = pBlock + dir.Size;
    while (pBlock + sizeof(IMAGE_BASE_RELOCATION) <= pEnd)
    {
        IMAGE_BASE_RELOCATION* pReloc = reinterpret_cast<IMAGE_BASE_RELOCATION*>(pBlock);
        if (pReloc->SizeOfBlock < sizeof(IMAGE_BASE_RELOCATION) || pBlock + pReloc->SizeOfBlock > pEnd)
        {
            strError = "a damaged relocation block";
            return false;
        }
        BYTE* pPage = pBase + pReloc->VirtualAddress;
        const WORD* pEntry = reinterpret_cast<const WORD*>(pReloc + 1);
        const size_t nEntries = (pReloc->SizeOfBlock - sizeof(IMAGE_BASE_RELOCATION)) / sizeof(WORD);
        DWORD dwOld = 0;
        if (!::VirtualProtect(pPage, 0x1000 + sizeof(ULONG_PTR), PAGE_EXECUTE_READWRITE, &dwOld))
        {
            strError = "a page of the program cannot be written";
            return false;
        }
        for (size_t i = 0; i < nEntries; i++)
        {
            const int nType = pEntry[i] >> 12;
            BYTE* pFix = pPage + (pEntry[i] & 0x0FFF);
            if (nType == IMAGE_REL_BASED_HIGHLOW)
                *reinterpret_cast<DWORD*>(pFix) += (DWORD)nDelta;
#ifdef IMAGE_REL_BASED_DIR64
            else if (nType == IMAGE_REL_BASED_DIR64)
                *reinterpret_cast<ULONGLONG*>(pFix) += (ULONGLONG)nDelta;
#endif
            else if (nType != IMAGE_REL_BASED_ABSOLUTE)
            {
                strError = "a relocation of an unknown kind";
                return false;
            }
        }
        DWORD dwIgnored = 0;
        ::VirtualProtect(pPage, 0x1000 + sizeof(ULONG_PTR), dwOld, &dwIgnored);
        pBlock += pReloc->SizeOfBlock;
    }
    // The header now tells that the program lies where it is.
    DWORD dwOld = 0;
    if (::VirtualProtect(&pNt->OptionalHeader.ImageBase, sizeof(pNt->OptionalHeader.ImageBase), PAGE_READWRITE,
                         &dwOld))
    {
        pNt->OptionalHeader.ImageBase = (ULONG_PTR)pBase;
        DWORD dwIgnored = 0;
        ::VirtualProtect(&pNt->OptionalHeader.ImageBase, sizeof(pNt->OptionalHeader.ImageBase), dwOld, &dwIgnored);
    }
    return true;
}

// Binds the module's import slots that still hold the offsets of their
// names (an unbound slot), loading the libraries they name.
inline bool BindImports(HMODULE hModule, std::string& strError)
{
    BYTE* pBase = reinterpret_cast<BYTE*>(hModule);
    IMAGE_NT_HEADERS* pNt =
        reinterpret_cast<IMAGE_NT_HEADERS*>(pBase + reinterpret_cast<IMAGE_DOS_HEADER*>(pBase)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir = pNt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (dir.VirtualAddress == 0)
        return true;
    for (IMAGE_IMPORT_DESCRIPTOR* pImport = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(pBase + dir.VirtualAddress);
         pImport->Name != 0; pImport++)
    {
        const char* pszLibrary = reinterpret_cast<const char*>(pBase + pImport->Name);
        HMODULE hLibrary = ::LoadLibraryA(pszLibrary);
        if (hLibrary == NULL)
        {
            strError = std::string("the program's library cannot be loaded: ") + pszLibrary;
            return false;
        }
        IMAGE_THUNK_DATA* pNames = reinterpret_cast<IMAGE_THUNK_DATA*>(
            pBase + (pImport->OriginalFirstThunk != 0 ? pImport->OriginalFirstThunk : pImport->FirstThunk));
        IMAGE_THUNK_DATA* pSlots = reinterpret_cast<IMAGE_THUNK_DATA*>(pBase + pImport->FirstThunk);
        for (; pNames->u1.AddressOfData != 0; pNames++, pSlots++)
        {
            const ULONG_PTR nEntry = (ULONG_PTR)pNames->u1.AddressOfData;
            // A slot that no longer holds its name's entry is bound already.
            if ((ULONG_PTR)pSlots->u1.Function != nEntry)
                continue;
            FARPROC pfn;
            std::string strName;
            if (IMAGE_SNAP_BY_ORDINAL(nEntry))
            {
                pfn = ::GetProcAddress(hLibrary, MAKEINTRESOURCEA(IMAGE_ORDINAL(nEntry)));
                strName = "#" + std::to_string((unsigned)IMAGE_ORDINAL(nEntry));
            }
            else
            {
                strName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(pBase + nEntry)->Name;
                pfn = ::GetProcAddress(hLibrary, strName.c_str());
            }
            if (pfn == NULL)
            {
                strError = std::string("the program's import is missing: ") + pszLibrary + " " + strName;
                return false;
            }
            DWORD dwOld = 0;
            if (!::VirtualProtect(&pSlots->u1.Function, sizeof(pSlots->u1.Function), PAGE_READWRITE, &dwOld))
            {
                strError = "an import slot of the program cannot be written";
                return false;
            }
            pSlots->u1.Function = (ULONG_PTR)pfn;
            DWORD dwIgnored = 0;
            ::VirtualProtect(&pSlots->u1.Function, sizeof(pSlots->u1.Function), dwOld, &dwIgnored);
        }
    }
    return true;
}

// Both steps: TRUE when the module's code can be called; FALSE with the
// reason otherwise.
inline bool CompleteProgramLoading(HMODULE hModule, std::string& strError)
{
    return BindImports(hModule, strError) && ApplyBaseRelocations(hModule, strError);
}
} // namespace testsupport
