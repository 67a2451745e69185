// Visual-styles and desktop-composition wrappers bound at run time.
#include "XTPWinThemeWrapper.h"
#include "XTPFaultGuard.h"
#include "XTPSystemHelpers.h"

//////////////////////////////////////////////////////////////////////////
// Shared table

CXTPWinThemeWrapper::CSharedData::CSharedData()
{
    XTPOSVersionInfo();
    m_dwComCtlVersion = XTPGetComCtlVersion();
    for (int i = 0; i < xtpThemeEntryCount; i++)
        m_rgEntries[i] = NULL;
    m_hThemeDll = ::LoadLibraryA("UxTheme.dll");
}

FARPROC CXTPWinThemeWrapper::CSharedData::GetEntry(int nEntry, LPCSTR lpszName)
{
    if (nEntry < 0 || nEntry >= xtpThemeEntryCount || m_hThemeDll == NULL)
        return NULL;
    if (m_rgEntries[nEntry] == NULL)
        m_rgEntries[nEntry] = ::GetProcAddress(m_hThemeDll, lpszName);
    return m_rgEntries[nEntry];
}

void CXTPWinThemeWrapper::CSharedData::CheckModule()
{
    // Another module may have been loaded since (or the first load failed):
    // look every entry up again in the module loaded now.
    HMODULE hModule = ::GetModuleHandleA("UXTHEME.DLL");
    if (hModule != m_hThemeDll)
    {
        m_hThemeDll = hModule;
        for (int i = 0; i < xtpThemeEntryCount; i++)
            m_rgEntries[i] = NULL;
    }
}

CXTPWinThemeWrapper::CSharedData& AFX_CDECL CXTPWinThemeWrapper::GetSharedData()
{
    static CSharedData* s_pData = new CSharedData();  // lives for the whole run
    return *s_pData;
}

namespace
{
// Built with the program's global objects, before the application runs.
struct CThemeTableStartup
{
    CThemeTableStartup() { CXTPWinThemeWrapper::GetSharedData(); }
} s_themeTableStartup;

typedef HTHEME (WINAPI* PFNOPENTHEMEDATA)(HWND, LPCWSTR);
typedef HRESULT (WINAPI* PFNCLOSETHEMEDATA)(HTHEME);
typedef HRESULT (WINAPI* PFNDRAWTHEMEBACKGROUND)(HTHEME, HDC, int, int, const RECT*, const RECT*);
typedef HRESULT (WINAPI* PFNDRAWTHEMETEXTEX)(HTHEME, HDC, int, int, LPCWSTR, int, DWORD, LPRECT, const void*);
typedef HRESULT (WINAPI* PFNGETTHEMECOLOR)(HTHEME, int, int, int, COLORREF*);
typedef HRESULT (WINAPI* PFNGETTHEMEPARTSIZE)(HTHEME, HDC, int, int, RECT*, int, SIZE*);
typedef BOOL (WINAPI* PFNGETTHEMESYSBOOL)(HTHEME, int);
typedef HRESULT (WINAPI* PFNGETCURRENTTHEMENAME)(LPWSTR, int, LPWSTR, int, LPWSTR, int);
typedef BOOL (WINAPI* PFNISTHEMEACTIVE)();
typedef BOOL (WINAPI* PFNISAPPTHEMED)();
typedef HANDLE (WINAPI* PFNBEGINBUFFEREDPAINT)(HDC, const RECT*, int, const void*, HDC*);
typedef HRESULT (WINAPI* PFNENDBUFFEREDPAINT)(HANDLE, BOOL);

template<class T>
T LookUp(int nEntry, LPCSTR lpszName)
{
    return (T)CXTPWinThemeWrapper::GetSharedData().GetEntry(nEntry, lpszName);
}

// Calls an entry of the library under the fault guard: the entry's result,
// or the failure value when the entry is missing or faults.
template<class R, class PFN, class... Args>
R CallGuarded(PFN pfn, LPCSTR lpszName, R failure, Args... args)
{
    if (pfn == NULL)
        return failure;
    R result = failure;
    XTPFaultGuarded(lpszName, [&]() { result = pfn(args...); });
    return result;
}

template<class R, class PFN, class... Args>
R CallEntry(int nEntry, LPCSTR lpszName, R failure, Args... args)
{
    return CallGuarded(LookUp<PFN>(nEntry, lpszName), lpszName, failure, args...);
}
}

//////////////////////////////////////////////////////////////////////////
// CXTPWinThemeWrapper

CXTPWinThemeWrapper::CXTPWinThemeWrapper()
    : m_hTheme(NULL)
{
}

CXTPWinThemeWrapper::~CXTPWinThemeWrapper()
{
    CloseThemeData();
}

void CXTPWinThemeWrapper::OpenThemeData(HWND hWnd, LPCWSTR pszClassList)
{
    GetSharedData().CheckModule();
    CloseThemeData();
    if (pszClassList == NULL)
        return;
    m_hTheme = CallEntry<HTHEME, PFNOPENTHEMEDATA>(xtpOpenThemeData, "OpenThemeData", (HTHEME)NULL, hWnd,
                                                   pszClassList);
}

void CXTPWinThemeWrapper::CloseThemeData()
{
    if (m_hTheme != NULL)
        CallEntry<HRESULT, PFNCLOSETHEMEDATA>(xtpCloseThemeData, "CloseThemeData", E_FAIL, m_hTheme);
    m_hTheme = NULL;
}

HRESULT CXTPWinThemeWrapper::DrawThemeBackground(HDC hDC, int iPartId, int iStateId, const RECT* pRect,
                                                 const RECT* pClipRect)
{
    if (m_hTheme == NULL)
        return E_FAIL;
    return CallEntry<HRESULT, PFNDRAWTHEMEBACKGROUND>(xtpDrawThemeBackground, "DrawThemeBackground", E_FAIL,
                                                      m_hTheme, hDC, iPartId, iStateId, pRect, pClipRect);
}

HRESULT CXTPWinThemeWrapper::DrawThemeTextEx(HDC hDC, int iPartId, int iStateId, LPCWSTR pszText,
                                             int iCharCount, DWORD dwTextFlags, LPRECT pRect,
                                             const void* pOptions)
{
    if (m_hTheme == NULL)
        return E_FAIL;
    return CallEntry<HRESULT, PFNDRAWTHEMETEXTEX>(xtpDrawThemeTextEx, "DrawThemeTextEx", E_FAIL, m_hTheme, hDC,
                                                  iPartId, iStateId, pszText, iCharCount, dwTextFlags, pRect,
                                                  pOptions);
}

HRESULT CXTPWinThemeWrapper::GetThemeColor(int iPartId, int iStateId, int iPropId, COLORREF* pColor)
{
    if (m_hTheme == NULL)
        return E_FAIL;
    return CallEntry<HRESULT, PFNGETTHEMECOLOR>(xtpGetThemeColor, "GetThemeColor", E_FAIL, m_hTheme, iPartId,
                                                iStateId, iPropId, pColor);
}

HRESULT CXTPWinThemeWrapper::GetThemePartSize(HDC hDC, int iPartId, int iStateId, RECT* pRect, int eSize,
                                              SIZE* psz)
{
    if (m_hTheme == NULL)
        return E_FAIL;
    return CallEntry<HRESULT, PFNGETTHEMEPARTSIZE>(xtpGetThemePartSize, "GetThemePartSize", E_FAIL, m_hTheme, hDC,
                                                   iPartId, iStateId, pRect, eSize, psz);
}

BOOL CXTPWinThemeWrapper::GetThemeSysBool(int iBoolId)
{
    if (m_hTheme == NULL)
        return 0;
    return CallEntry<BOOL, PFNGETTHEMESYSBOOL>(xtpGetThemeSysBool, "GetThemeSysBool", (BOOL)0, m_hTheme, iBoolId);
}

HRESULT CXTPWinThemeWrapper::GetCurrentThemeName(LPWSTR pszThemeFileName, int dwMaxNameChars,
                                                 LPWSTR pszColorBuff, int cchMaxColorChars,
                                                 LPWSTR pszSizeBuff, int cchMaxSizeChars)
{
    return CallEntry<HRESULT, PFNGETCURRENTTHEMENAME>(xtpGetCurrentThemeName, "GetCurrentThemeName", E_FAIL,
                                                      pszThemeFileName, dwMaxNameChars, pszColorBuff,
                                                      cchMaxColorChars, pszSizeBuff, cchMaxSizeChars);
}

BOOL CXTPWinThemeWrapper::IsThemeActive()
{
    if (m_hTheme == NULL)
        GetSharedData().CheckModule();
    return CallEntry<BOOL, PFNISTHEMEACTIVE>(xtpIsThemeActive, "IsThemeActive", (BOOL)0);
}

BOOL CXTPWinThemeWrapper::IsAppThemed()
{
    if (m_hTheme == NULL)
        return 0;
    return CallEntry<BOOL, PFNISAPPTHEMED>(xtpIsAppThemed, "IsAppThemed", (BOOL)0);
}

XTP_HPAINTBUFFER CXTPWinThemeWrapper::BeginBufferedPaint(HDC hdcTarget, const RECT* prcTarget, int dwFormat,
                                                         const void* pPaintParams, HDC* phdc)
{
    return CallEntry<XTP_HPAINTBUFFER, PFNBEGINBUFFEREDPAINT>(xtpBeginBufferedPaint, "BeginBufferedPaint",
                                                              (XTP_HPAINTBUFFER)NULL, hdcTarget, prcTarget,
                                                              dwFormat, pPaintParams, phdc);
}

void CXTPWinThemeWrapper::EndBufferedPaint(XTP_HPAINTBUFFER hBufferedPaint, BOOL fUpdateTarget)
{
    if (hBufferedPaint == NULL)
        return;
    CallEntry<HRESULT, PFNENDBUFFEREDPAINT>(xtpEndBufferedPaint, "EndBufferedPaint", E_FAIL, hBufferedPaint,
                                            fUpdateTarget);
}

BOOL CXTPWinThemeWrapper::IsAppThemeReady()
{
    return IsThemeActive() && HIWORD(GetSharedData().m_dwComCtlVersion) > 5;
}

//////////////////////////////////////////////////////////////////////////
// CXTPWinDwmWrapper

CXTPWinDwmWrapper::CSharedData::CSharedData()
{
    for (int i = 0; i < 3; i++)
    {
        m_rgEntries[i] = NULL;
        m_bLookedUp[i] = FALSE;
    }
    m_hDwmDll = ::LoadLibraryA("dwmapi.dll");
}

CXTPWinDwmWrapper::CSharedData& AFX_CDECL CXTPWinDwmWrapper::GetSharedData()
{
    static CSharedData* s_pData = new CSharedData();  // lives for the whole run
    return *s_pData;
}

namespace
{
FARPROC DwmEntry(int nEntry, LPCSTR lpszName)
{
    CXTPWinDwmWrapper::CSharedData& data = CXTPWinDwmWrapper::GetSharedData();
    if (!data.m_bLookedUp[nEntry])
    {
        data.m_bLookedUp[nEntry] = TRUE;
        if (data.m_hDwmDll != NULL && data.m_rgEntries[nEntry] == NULL)
            data.m_rgEntries[nEntry] = ::GetProcAddress(data.m_hDwmDll, lpszName);
    }
    return data.m_rgEntries[nEntry];
}

struct XTP_MARGINS
{
    int cxLeftWidth;
    int cxRightWidth;
    int cyTopHeight;
    int cyBottomHeight;
};
}

HRESULT AFX_CDECL CXTPWinDwmWrapper::DefWindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                                   LRESULT* plResult)
{
    return CallGuarded((PFNDWMDEFWINDOWPROC)DwmEntry(0, "DwmDefWindowProc"), "DwmDefWindowProc", E_FAIL, hWnd, msg,
                       wParam, lParam, plResult);
}

HRESULT AFX_CDECL CXTPWinDwmWrapper::ExtendFrameIntoClientArea(HWND hWnd, int cxLeftWidth, int cyTopHeight,
                                                               int cxRightWidth, int cyBottomHeight)
{
    XTP_MARGINS margins = { cxLeftWidth, cxRightWidth, cyTopHeight, cyBottomHeight };
    return CallGuarded((PFNDWMEXTENDFRAME)DwmEntry(1, "DwmExtendFrameIntoClientArea"), "DwmExtendFrameIntoClientArea",
                       E_FAIL, hWnd, (const void*)&margins);
}
