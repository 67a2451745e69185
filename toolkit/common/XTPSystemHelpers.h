// System helpers: the operating-system version record, DLL handles with their
// own version, the common-controls version, multi-monitor work areas looked up
// at run time, a critical section with a scoped lock and two reference holders.
#pragma once

#include "XTPCommon.h"
#include <shlwapi.h>

// The shared operating-system version record, filled by GetVersionEx on first use.
class CXTPOSVersionInfo : public OSVERSIONINFOA
{
public:
    CXTPOSVersionInfo();  // fills the record from the running system

    // Builds a record with the given values (used to examine other systems).
    CXTPOSVersionInfo(DWORD dwPlatformId, DWORD dwMajor, DWORD dwMinor, DWORD dwBuild = 0);

    BOOL IsWin95() const;
    BOOL IsWin98() const;
    BOOL IsWinNT4() const;
    BOOL IsWin2K() const;
    BOOL IsWinXP() const;
    BOOL IsWin2KOrGreater() const;
    BOOL IsWinXPOrGreater() const;
    BOOL IsClearTypeTextQualitySupported() const;
    BOOL IsVersion(DWORD dwMajor, DWORD dwMinor) const;
    BOOL IsVersionOrGreater(DWORD dwMajor, DWORD dwMinor) const;

private:
    BOOL IsNTFamily() const { return dwPlatformId >= VER_PLATFORM_WIN32_NT; }
    BOOL Is9xFamily() const { return dwPlatformId == VER_PLATFORM_WIN32_WINDOWS; }
};

// Returns the shared version record.
CXTPOSVersionInfo* AFXAPI XTPOSVersionInfo();

// A DLL handle that is either borrowed from a loaded module or loaded and
// later freed, with the DLL's own version from "DllGetVersion".
class CXTPModuleHandle
{
public:
    enum ModuleKind { moduleNone = 0, moduleBorrowed = 1, moduleLoaded = 2 };

    CXTPModuleHandle();
    explicit CXTPModuleHandle(LPCSTR lpszModuleName);
    virtual ~CXTPModuleHandle();

    BOOL Init(LPCSTR lpszModuleName);
    BOOL FreeLibrary();
    DWORD GetVersion();
    BOOL GetProcAddress(FARPROC* ppFnPtr, LPCSTR lpProcName, DWORD dwMinVer = 0);

    HMODULE GetHandle() const { return m_hModule; }
    operator HMODULE() const { return m_hModule; }
    int GetKind() const { return m_nKind; }
    CString GetName() const { return m_strModuleName; }

private:
    CXTPModuleHandle(const CXTPModuleHandle&);
    CXTPModuleHandle& operator=(const CXTPModuleHandle&);

    CString m_strModuleName;
    HMODULE m_hModule;
    int m_nKind;
    DLLVERSIONINFO m_dvi;
};

// The common-controls version (major in the high word, minor in the low
// word); 4.0 when COMCTL32 has no "DllGetVersion". Cached after the first call.
DWORD AFXAPI XTPGetComCtlVersion();

// The size of NONCLIENTMETRICS without its padded-border field: the layout
// that every system the program supports fills in (the compiler's own
// structure may be larger).
#define XTP_NONCLIENTMETRICS_SIZE 340
// The system's non-client metrics (fonts of captions, menus, status bars
// and message boxes) in that layout; FALSE, with ncm zeroed, when the system
// does not answer.
BOOL AFXAPI XTPGetNonClientMetrics(NONCLIENTMETRICSA& ncm);

// Multi-monitor functions of User32, looked up at run time.
class CXTPMonitorFunctions
{
public:
    typedef int (WINAPI* PFNGETSYSTEMMETRICS)(int);
    typedef HMONITOR (WINAPI* PFNMONITORFROMWINDOW)(HWND, DWORD);
    typedef HMONITOR (WINAPI* PFNMONITORFROMRECT)(LPCRECT, DWORD);
    typedef HMONITOR (WINAPI* PFNMONITORFROMPOINT)(POINT, DWORD);
    typedef BOOL (WINAPI* PFNGETMONITORINFO)(HMONITOR, LPMONITORINFO);

    CXTPMonitorFunctions();
    // Looks the entries up in another module (all null when any is missing).
    explicit CXTPMonitorFunctions(LPCSTR lpszModuleName);
    virtual ~CXTPMonitorFunctions() {}

    BOOL GetWorkArea(CRect& rcWork, HMONITOR hMonitor);
    CRect GetWorkArea(HMONITOR hMonitor);
    CRect GetWorkAreaFromWindow(HWND hWnd);
    CRect GetWorkAreaFromPoint(POINT pt);
    CRect GetWorkAreaFromRect(const RECT* lprc);
    CRect GetWorkAreaFromWnd(CWnd* pWnd);
    CRect GetWorkAreaAtCursor();

    BOOL HasEntries() const { return m_pfnGetMonitorInfo != NULL; }

    PFNGETSYSTEMMETRICS m_pfnGetSystemMetrics;
    PFNMONITORFROMWINDOW m_pfnMonitorFromWindow;
    PFNMONITORFROMRECT m_pfnMonitorFromRect;
    PFNMONITORFROMPOINT m_pfnMonitorFromPoint;
    PFNGETMONITORINFO m_pfnGetMonitorInfo;

private:
    void InitEntries(LPCSTR lpszModuleName);
    static CRect GetDesktopWorkArea();

    CXTPModuleHandle m_modUser32;
};

// Returns the shared monitor functions, built on first use.
CXTPMonitorFunctions* AFXAPI XTPMonitorFunctions();

// The toolkit's lock where data is shared between threads.
class CXTPCriticalSection
{
public:
    CXTPCriticalSection() { ::InitializeCriticalSection(&m_cs); }
    virtual ~CXTPCriticalSection() { ::DeleteCriticalSection(&m_cs); }
    void EnterCritical() { ::EnterCriticalSection(&m_cs); }
    void LeaveCritical() { ::LeaveCriticalSection(&m_cs); }
    void Enter() { EnterCritical(); }
    void Leave() { LeaveCritical(); }
    operator CRITICAL_SECTION&() { return m_cs; }

private:
    CXTPCriticalSection(const CXTPCriticalSection&);
    CXTPCriticalSection& operator=(const CXTPCriticalSection&);
    CRITICAL_SECTION m_cs;
};

// Enters a critical section for the lifetime of the object.
class CXTPSectionLock
{
public:
    explicit CXTPSectionLock(CXTPCriticalSection* pSection) : m_pSection(pSection), m_bLocked(FALSE) { Lock(); }
    ~CXTPSectionLock() { Unlock(); }
    void Lock() { if (m_pSection && !m_bLocked) { m_pSection->Enter(); m_bLocked = TRUE; } }
    void Unlock() { if (m_pSection && m_bLocked) { m_bLocked = FALSE; m_pSection->Leave(); } }

private:
    CXTPSectionLock(const CXTPSectionLock&);
    CXTPSectionLock& operator=(const CXTPSectionLock&);
    CXTPCriticalSection* m_pSection;
    BOOL m_bLocked;
};

// Holds a reference on a command target and releases it when destroyed.
template<class T>
class CXTPInternalReleasePtr
{
public:
    explicit CXTPInternalReleasePtr(T* p = NULL) : m_p(p) {}
    ~CXTPInternalReleasePtr() { if (m_p) m_p->InternalRelease(); }
    T* operator->() const { return m_p; }
    operator T*() const { return m_p; }
    T* Detach() { T* p = m_p; m_p = NULL; return p; }
    void Reset(T* p = NULL) { if (m_p) m_p->InternalRelease(); m_p = p; }

private:
    CXTPInternalReleasePtr(const CXTPInternalReleasePtr&);
    CXTPInternalReleasePtr& operator=(const CXTPInternalReleasePtr&);
    T* m_p;
};

// Owns an object and deletes it (through its virtual destructor) when destroyed.
template<class T>
class CXTPAutoDeletePtr
{
public:
    explicit CXTPAutoDeletePtr(T* p = NULL) : m_p(p) {}
    ~CXTPAutoDeletePtr() { delete m_p; }
    T* operator->() const { return m_p; }
    operator T*() const { return m_p; }
    T* Detach() { T* p = m_p; m_p = NULL; return p; }
    void Reset(T* p = NULL) { delete m_p; m_p = p; }

private:
    CXTPAutoDeletePtr(const CXTPAutoDeletePtr&);
    CXTPAutoDeletePtr& operator=(const CXTPAutoDeletePtr&);
    T* m_p;
};
