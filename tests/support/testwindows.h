// Helpers of the toolkit's window tests: plain test windows, a second
// resource module made at run time, and packed test pictures. The canvas
// and the pump they are used with come along.
#pragma once

#include <afxwin.h>

#include "support/canvas.h"
#include "support/pump.h"

#include <string>
#include <vector>

namespace testsupport
{
// A plain Win32 window class whose procedure logs messages through a hook.
typedef void (*PFNMESSAGELOG)(HWND, UINT, WPARAM, LPARAM);
inline PFNMESSAGELOG& MessageLog()
{
    static PFNMESSAGELOG s_pfn = NULL;
    return s_pfn;
}

inline LRESULT CALLBACK PlainWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (MessageLog() != NULL)
        MessageLog()(hWnd, nMsg, wParam, lParam);
    return ::DefWindowProcA(hWnd, nMsg, wParam, lParam);
}

inline LPCSTR PlainClass()
{
    static bool s_bRegistered = false;
    if (!s_bRegistered)
    {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = PlainWndProc;
        wc.hInstance = ::GetModuleHandleA(NULL);
        wc.hCursor = ::LoadCursorA(NULL, IDC_ARROW);
        wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
        wc.lpszClassName = "TestPlainWindow";
        ::RegisterClassA(&wc);
        s_bRegistered = true;
    }
    return "TestPlainWindow";
}

inline HWND CreatePlainWindow(int x, int y, int cx, int cy, DWORD dwStyle = WS_POPUP | WS_VISIBLE,
                              HWND hWndParent = NULL, DWORD dwExStyle = 0)
{
    return ::CreateWindowExA(dwExStyle, PlainClass(), "test", dwStyle, x, y, cx, cy, hWndParent, NULL,
                             ::GetModuleHandleA(NULL), NULL);
}

// Destroys a window after hiding it without activating anything (a plain
// DestroyWindow of a visible window waits for the X server's focus events).
inline void DestroyQuietly(HWND hWnd)
{
    if (!::IsWindow(hWnd))
        return;
    ::SetWindowPos(hWnd, NULL, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ::DestroyWindow(hWnd);
}

// Bytes of a UTF-16 text.
inline std::vector<BYTE> Utf16(const char* lpszText)
{
    std::vector<BYTE> bytes;
    for (const char* p = lpszText; *p; p++)
    {
        bytes.push_back((BYTE)*p);
        bytes.push_back(0);
    }
    return bytes;
}

// An empty packed DIB (header and room for the bits, rows bottom-up) of
// cx x cy pixels of nBits bits; *pnStride gets the bytes of a row.
inline std::vector<BYTE> MakeDibHeader(int cx, int cy, WORD nBits, int* pnStride)
{
    *pnStride = ((cx * nBits + 31) / 32) * 4;
    std::vector<BYTE> data(sizeof(BITMAPINFOHEADER) + (size_t)*pnStride * cy);
    BITMAPINFOHEADER* pHeader = reinterpret_cast<BITMAPINFOHEADER*>(data.data());
    pHeader->biSize = sizeof(BITMAPINFOHEADER);
    pHeader->biWidth = cx;
    pHeader->biHeight = cy;
    pHeader->biPlanes = 1;
    pHeader->biBitCount = nBits;
    return data;
}

// A 24-bit packed DIB of cx x cy pixels, each a COLORREF from a function.
template <class F>
std::vector<BYTE> MakeDib24(int cx, int cy, F pixel)
{
    int nStride = 0;
    std::vector<BYTE> data = MakeDibHeader(cx, cy, 24, &nStride);
    BYTE* pBits = data.data() + sizeof(BITMAPINFOHEADER);
    for (int y = 0; y < cy; y++)
    {
        BYTE* pRow = pBits + (size_t)(cy - 1 - y) * nStride;   // bottom-up
        for (int x = 0; x < cx; x++)
        {
            COLORREF clr = pixel(x, y);
            pRow[x * 3 + 0] = GetBValue(clr);
            pRow[x * 3 + 1] = GetGValue(clr);
            pRow[x * 3 + 2] = GetRValue(clr);
        }
    }
    return data;
}

// A 32-bit packed DIB of cx x cy pixels, each an ARGB value from a function.
template <class F>
std::vector<BYTE> MakeDib32(int cx, int cy, F argb)
{
    int nStride = 0;
    std::vector<BYTE> data = MakeDibHeader(cx, cy, 32, &nStride);
    DWORD* pBits = reinterpret_cast<DWORD*>(data.data() + sizeof(BITMAPINFOHEADER));
    for (int y = 0; y < cy; y++)
        for (int x = 0; x < cx; x++)
            pBits[(size_t)(cy - 1 - y) * cx + x] = argb(x, y);   // bottom-up
    return data;
}

// A BMP file: the file header in front of a packed DIB without a colour
// table.
inline std::vector<BYTE> MakeBmpFile(const std::vector<BYTE>& dib)
{
    BITMAPFILEHEADER header = {};
    header.bfType = 0x4D42;   // "BM"
    header.bfSize = (DWORD)(sizeof(header) + dib.size());
    header.bfOffBits = (DWORD)(sizeof(header) + sizeof(BITMAPINFOHEADER));
    std::vector<BYTE> file(reinterpret_cast<const BYTE*>(&header), reinterpret_cast<const BYTE*>(&header) + sizeof(header));
    file.insert(file.end(), dib.begin(), dib.end());
    return file;
}

// A second module holding resources written by the test: a copy of the test
// program whose resources are replaced, loaded as a data file.
class ResourceModule
{
public:
    ResourceModule()
    {
        static int s_nCounter = 0;
        char szSelf[MAX_PATH];
        ::GetModuleFileNameA(NULL, szSelf, MAX_PATH);
        char szTemp[MAX_PATH];
        ::GetTempPathA(MAX_PATH, szTemp);
        char szName[64];
        wsprintfA(szName, "testres_%lu_%d.dll", ::GetCurrentProcessId(), ++s_nCounter);
        m_strPath = std::string(szTemp) + szName;
        ::CopyFileA(szSelf, m_strPath.c_str(), FALSE);
        m_hUpdate = ::BeginUpdateResourceA(m_strPath.c_str(), TRUE);
    }
    ~ResourceModule()
    {
        if (m_hUpdate != NULL)
            ::EndUpdateResourceA(m_hUpdate, TRUE);
        if (m_hModule != NULL)
            ::FreeLibrary(m_hModule);
        ::DeleteFileA(m_strPath.c_str());
    }

    bool IsReady() const { return m_hUpdate != NULL; }

    void Add(LPCSTR lpszType, LPCSTR lpszName, const void* pData, DWORD dwSize, WORD wLang = 1033)
    {
        ::UpdateResourceA(m_hUpdate, lpszType, lpszName, wLang, const_cast<void*>(pData), dwSize);
    }
    void Add(LPCSTR lpszType, LPCSTR lpszName, const std::vector<BYTE>& data, WORD wLang = 1033)
    {
        Add(lpszType, lpszName, data.data(), (DWORD)data.size(), wLang);
    }
    // One string of the string table (the other 15 of its block are empty).
    void AddString(UINT nID, const char* lpszText, WORD wLang = 1033)
    {
        std::vector<WORD> block;
        for (UINT i = 0; i < 16; i++)
        {
            if (i == nID % 16)
            {
                block.push_back((WORD)strlen(lpszText));
                for (const char* p = lpszText; *p; p++)
                    block.push_back((BYTE)*p);
            }
            else
            {
                block.push_back(0);
            }
        }
        Add(RT_STRING, MAKEINTRESOURCEA(nID / 16 + 1), block.data(), (DWORD)(block.size() * 2), wLang);
    }

    // Writes the resources and loads the module (as a data file, or fully).
    HMODULE Load(bool bDataFile = false)
    {
        if (m_hUpdate != NULL)
        {
            ::EndUpdateResourceA(m_hUpdate, FALSE);
            m_hUpdate = NULL;
        }
        m_hModule = bDataFile ? ::LoadLibraryExA(m_strPath.c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE)
                              : ::LoadLibraryA(m_strPath.c_str());
        return m_hModule;
    }
    // Gives the loaded module away (the caller frees it).
    HMODULE Detach()
    {
        HMODULE hModule = m_hModule;
        m_hModule = NULL;
        return hModule;
    }
    const std::string& Path() const { return m_strPath; }

private:
    std::string m_strPath;
    HANDLE m_hUpdate = NULL;
    HMODULE m_hModule = NULL;
};
} // namespace testsupport
