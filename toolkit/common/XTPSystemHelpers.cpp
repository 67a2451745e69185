// System helpers: version record, module handles, common-controls version,
// monitor work areas.
#include "XTPSystemHelpers.h"

//////////////////////////////////////////////////////////////////////////
// CXTPOSVersionInfo

CXTPOSVersionInfo::CXTPOSVersionInfo()
{
    ZeroMemory(static_cast<OSVERSIONINFOA*>(this), sizeof(OSVERSIONINFOA));
    dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);  // 148
    ::GetVersionExA(this);
}

CXTPOSVersionInfo::CXTPOSVersionInfo(DWORD dwPlatform, DWORD dwMajor, DWORD dwMinor, DWORD dwBuild)
{
    ZeroMemory(static_cast<OSVERSIONINFOA*>(this), sizeof(OSVERSIONINFOA));
    dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
    dwPlatformId = dwPlatform;
    dwMajorVersion = dwMajor;
    dwMinorVersion = dwMinor;
    dwBuildNumber = dwBuild;
}

BOOL CXTPOSVersionInfo::IsWin95() const
{
    return Is9xFamily() && dwMajorVersion == 4 && dwMinorVersion < 10;
}

BOOL CXTPOSVersionInfo::IsWin98() const
{
    return Is9xFamily() && IsVersion(4, 10);
}

BOOL CXTPOSVersionInfo::IsWinNT4() const
{
    return dwPlatformId == VER_PLATFORM_WIN32_NT && IsVersion(4, 0);
}

BOOL CXTPOSVersionInfo::IsWin2K() const
{
    return dwPlatformId == VER_PLATFORM_WIN32_NT && IsVersion(5, 0);
}

BOOL CXTPOSVersionInfo::IsWinXP() const
{
    return dwPlatformId == VER_PLATFORM_WIN32_NT && IsVersion(5, 1);
}

BOOL CXTPOSVersionInfo::IsWin2KOrGreater() const
{
    return IsNTFamily() && dwMajorVersion >= 5;
}

BOOL CXTPOSVersionInfo::IsWinXPOrGreater() const
{
    return IsNTFamily() && IsVersionOrGreater(5, 1);
}

BOOL CXTPOSVersionInfo::IsClearTypeTextQualitySupported() const
{
    return IsWinXPOrGreater();
}

BOOL CXTPOSVersionInfo::IsVersion(DWORD dwMajor, DWORD dwMinor) const
{
    return dwMajorVersion == dwMajor && dwMinorVersion == dwMinor;
}

BOOL CXTPOSVersionInfo::IsVersionOrGreater(DWORD dwMajor, DWORD dwMinor) const
{
    return dwMajorVersion > dwMajor || (dwMajorVersion == dwMajor && dwMinorVersion >= dwMinor);
}

CXTPOSVersionInfo* AFXAPI XTPOSVersionInfo()
{
    static CXTPOSVersionInfo s_info;
    return &s_info;
}

//////////////////////////////////////////////////////////////////////////
// CXTPModuleHandle

CXTPModuleHandle::CXTPModuleHandle()
    : m_hModule(NULL), m_nKind(moduleNone)
{
    ZeroMemory(&m_dvi, sizeof(m_dvi));
}

CXTPModuleHandle::CXTPModuleHandle(LPCSTR lpszModuleName)
    : m_hModule(NULL), m_nKind(moduleNone)
{
    ZeroMemory(&m_dvi, sizeof(m_dvi));
    Init(lpszModuleName);
}

CXTPModuleHandle::~CXTPModuleHandle()
{
    FreeLibrary();
}

BOOL CXTPModuleHandle::Init(LPCSTR lpszModuleName)
{
    // A re-initialised handle frees what it loaded before.
    FreeLibrary();
    ZeroMemory(&m_dvi, sizeof(m_dvi));

    if (lpszModuleName == NULL || *lpszModuleName == 0)
        return FALSE;

    m_strModuleName = lpszModuleName;
    m_hModule = ::GetModuleHandleA(lpszModuleName);
    if (m_hModule != NULL)
    {
        m_nKind = moduleBorrowed;
    }
    else
    {
        m_hModule = ::LoadLibraryA(lpszModuleName);
        if (m_hModule != NULL)
            m_nKind = moduleLoaded;
    }
    return m_hModule != NULL;
}

BOOL CXTPModuleHandle::FreeLibrary()
{
    BOOL bResult = TRUE;
    if (m_hModule != NULL && m_nKind == moduleLoaded)
        bResult = ::FreeLibrary(m_hModule);

    m_hModule = NULL;
    m_nKind = moduleNone;
    m_strModuleName.Empty();
    ZeroMemory(&m_dvi, sizeof(m_dvi));
    return bResult;
}

DWORD CXTPModuleHandle::GetVersion()
{
    if (m_hModule == NULL)
        return 0;

    if (m_dvi.cbSize == 0)
    {
        DLLGETVERSIONPROC pfn = (DLLGETVERSIONPROC)::GetProcAddress(m_hModule, "DllGetVersion");
        if (pfn == NULL)
            return 0;

        DLLVERSIONINFO dvi;
        ZeroMemory(&dvi, sizeof(dvi));
        dvi.cbSize = sizeof(DLLVERSIONINFO);  // 20
        if (FAILED(pfn(&dvi)))
            return 0;
        m_dvi = dvi;
        m_dvi.cbSize = sizeof(DLLVERSIONINFO);
    }
    return MAKELONG(m_dvi.dwMinorVersion, m_dvi.dwMajorVersion);
}

BOOL CXTPModuleHandle::GetProcAddress(FARPROC* ppFnPtr, LPCSTR lpProcName, DWORD dwMinVer)
{
    if (ppFnPtr == NULL)
        return FALSE;
    *ppFnPtr = NULL;

    if (m_hModule == NULL)
        return FALSE;

    if (dwMinVer != 0)
    {
        DWORD dwVersion = GetVersion();
        WORD wMajor = HIWORD(dwVersion), wMinor = LOWORD(dwVersion);
        WORD wMinMajor = HIWORD(dwMinVer), wMinMinor = LOWORD(dwMinVer);
        if (wMajor < wMinMajor || (wMajor == wMinMajor && wMinor < wMinMinor))
            return FALSE;
    }

    *ppFnPtr = ::GetProcAddress(m_hModule, lpProcName);
    return *ppFnPtr != NULL;
}

//////////////////////////////////////////////////////////////////////////
// Common-controls version

BOOL AFXAPI XTPGetNonClientMetrics(NONCLIENTMETRICSA& ncm)
{
    ZeroMemory(&ncm, sizeof(ncm));
    ncm.cbSize = XTP_NONCLIENTMETRICS_SIZE;
    if (::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, XTP_NONCLIENTMETRICS_SIZE, &ncm, 0))
        return TRUE;
    ZeroMemory(&ncm, sizeof(ncm));
    return FALSE;
}

DWORD AFXAPI XTPGetComCtlVersion()
{
    static DWORD s_dwComCtlVersion = 0;
    if (s_dwComCtlVersion == 0)
    {
        CXTPModuleHandle modComCtl("COMCTL32.DLL");
        DWORD dwVersion = modComCtl.GetVersion();
        s_dwComCtlVersion = dwVersion != 0 ? dwVersion : MAKELONG(0, 4);
    }
    return s_dwComCtlVersion;
}

//////////////////////////////////////////////////////////////////////////
// CXTPMonitorFunctions

CXTPMonitorFunctions::CXTPMonitorFunctions()
{
    InitEntries("User32.dll");
}

CXTPMonitorFunctions::CXTPMonitorFunctions(LPCSTR lpszModuleName)
{
    InitEntries(lpszModuleName);
}

void CXTPMonitorFunctions::InitEntries(LPCSTR lpszModuleName)
{
    m_pfnGetSystemMetrics = NULL;
    m_pfnMonitorFromWindow = NULL;
    m_pfnMonitorFromRect = NULL;
    m_pfnMonitorFromPoint = NULL;
    m_pfnGetMonitorInfo = NULL;

    if (!m_modUser32.Init(lpszModuleName))
        return;

    FARPROC p1 = NULL, p2 = NULL, p3 = NULL, p4 = NULL, p5 = NULL;
    BOOL bAll = m_modUser32.GetProcAddress(&p1, "GetSystemMetrics");
    bAll = m_modUser32.GetProcAddress(&p2, "MonitorFromWindow") && bAll;
    bAll = m_modUser32.GetProcAddress(&p3, "MonitorFromRect") && bAll;
    bAll = m_modUser32.GetProcAddress(&p4, "MonitorFromPoint") && bAll;
    bAll = m_modUser32.GetProcAddress(&p5, "GetMonitorInfoA") && bAll;
    if (!bAll)
        return;

    m_pfnGetSystemMetrics = (PFNGETSYSTEMMETRICS)p1;
    m_pfnMonitorFromWindow = (PFNMONITORFROMWINDOW)p2;
    m_pfnMonitorFromRect = (PFNMONITORFROMRECT)p3;
    m_pfnMonitorFromPoint = (PFNMONITORFROMPOINT)p4;
    m_pfnGetMonitorInfo = (PFNGETMONITORINFO)p5;
}

CRect CXTPMonitorFunctions::GetDesktopWorkArea()
{
    CRect rc(0, 0, 0, 0);
    if (!::SystemParametersInfoA(SPI_GETWORKAREA, 0, (LPRECT)rc, 0))
        rc.SetRect(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    return rc;
}

BOOL CXTPMonitorFunctions::GetWorkArea(CRect& rcWork, HMONITOR hMonitor)
{
    if (hMonitor != NULL && m_pfnGetMonitorInfo != NULL)
    {
        MONITORINFO info;
        ZeroMemory(&info, sizeof(info));
        info.cbSize = sizeof(MONITORINFO);  // 40
        if (m_pfnGetMonitorInfo(hMonitor, &info))
        {
            rcWork = info.rcWork;
            return TRUE;
        }
    }
    rcWork = GetDesktopWorkArea();
    return FALSE;
}

CRect CXTPMonitorFunctions::GetWorkArea(HMONITOR hMonitor)
{
    CRect rc;
    GetWorkArea(rc, hMonitor);
    return rc;
}

CRect CXTPMonitorFunctions::GetWorkAreaFromWindow(HWND hWnd)
{
    HMONITOR hMonitor = NULL;
    if (m_pfnMonitorFromWindow != NULL && hWnd != NULL)
        hMonitor = m_pfnMonitorFromWindow(hWnd, MONITOR_DEFAULTTONULL);
    return GetWorkArea(hMonitor);
}

CRect CXTPMonitorFunctions::GetWorkAreaFromPoint(POINT pt)
{
    HMONITOR hMonitor = NULL;
    if (m_pfnMonitorFromPoint != NULL)
        hMonitor = m_pfnMonitorFromPoint(pt, MONITOR_DEFAULTTONULL);
    return GetWorkArea(hMonitor);
}

CRect CXTPMonitorFunctions::GetWorkAreaFromRect(const RECT* lprc)
{
    HMONITOR hMonitor = NULL;
    if (m_pfnMonitorFromRect != NULL && lprc != NULL)
        hMonitor = m_pfnMonitorFromRect(lprc, MONITOR_DEFAULTTONULL);
    return GetWorkArea(hMonitor);
}

CRect CXTPMonitorFunctions::GetWorkAreaFromWnd(CWnd* pWnd)
{
    return GetWorkAreaFromWindow(pWnd != NULL ? pWnd->GetSafeHwnd() : NULL);
}

CRect CXTPMonitorFunctions::GetWorkAreaAtCursor()
{
    POINT pt = { 0, 0 };
    ::GetCursorPos(&pt);
    return GetWorkAreaFromPoint(pt);
}

namespace
{
struct CMonitorFunctionsHolder
{
    CXTPMonitorFunctions* p = NULL;
    ~CMonitorFunctionsHolder() { delete p; }
};
}

CXTPMonitorFunctions* AFXAPI XTPMonitorFunctions()
{
    static CMonitorFunctionsHolder s_holder;
    if (s_holder.p == NULL)
        s_holder.p = new CXTPMonitorFunctions();
    return s_holder.p;
}
