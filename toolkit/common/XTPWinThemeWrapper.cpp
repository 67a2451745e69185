// Visual-styles and desktop-composition wrappers bound at run time.
#include "XTPWinThemeWrapper.h"
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

    PFNOPENTHEMEDATA pfn = LookUp<PFNOPENTHEMEDATA>(xtpOpenThemeData, "OpenThemeData");
    if (pfn == NULL || pszClassList == NULL)
        return;
    try
    {
        m_hTheme = pfn(hWnd, pszClassList);
    }
    catch (...)
    {
        m_hTheme = NULL;
    }
}

void CXTPWinThemeWrapper::CloseThemeData()
{
    if (m_hTheme != NULL)
    {
        PFNCLOSETHEMEDATA pfn = LookUp<PFNCLOSETHEMEDATA>(xtpCloseThemeData, "CloseThemeData");
        if (pfn != NULL)
        {
            try
            {
                pfn(m_hTheme);
            }
            catch (...)
            {
            }
        }
    }
    m_hTheme = NULL;
}

HRESULT CXTPWinThemeWrapper::DrawThemeBackground(HDC hDC, int iPartId, int iStateId, const RECT* pRect,
                                                 const RECT* pClipRect)
{
    PFNDRAWTHEMEBACKGROUND pfn = LookUp<PFNDRAWTHEMEBACKGROUND>(xtpDrawThemeBackground, "DrawThemeBackground");
    if (pfn == NULL || m_hTheme == NULL)
        return E_FAIL;
    try
    {
        return pfn(m_hTheme, hDC, iPartId, iStateId, pRect, pClipRect);
    }
    catch (...)
    {
        return E_FAIL;
    }
}

HRESULT CXTPWinThemeWrapper::DrawThemeTextEx(HDC hDC, int iPartId, int iStateId, LPCWSTR pszText,
                                             int iCharCount, DWORD dwTextFlags, LPRECT pRect,
                                             const void* pOptions)
{
    PFNDRAWTHEMETEXTEX pfn = LookUp<PFNDRAWTHEMETEXTEX>(xtpDrawThemeTextEx, "DrawThemeTextEx");
    if (pfn == NULL || m_hTheme == NULL)
        return E_FAIL;
    try
    {
        return pfn(m_hTheme, hDC, iPartId, iStateId, pszText, iCharCount, dwTextFlags, pRect, pOptions);
    }
    catch (...)
    {
        return E_FAIL;
    }
}

HRESULT CXTPWinThemeWrapper::GetThemeColor(int iPartId, int iStateId, int iPropId, COLORREF* pColor)
{
    PFNGETTHEMECOLOR pfn = LookUp<PFNGETTHEMECOLOR>(xtpGetThemeColor, "GetThemeColor");
    if (pfn == NULL || m_hTheme == NULL)
        return E_FAIL;
    try
    {
        return pfn(m_hTheme, iPartId, iStateId, iPropId, pColor);
    }
    catch (...)
    {
        return E_FAIL;
    }
}

HRESULT CXTPWinThemeWrapper::GetThemePartSize(HDC hDC, int iPartId, int iStateId, RECT* pRect, int eSize,
                                              SIZE* psz)
{
    PFNGETTHEMEPARTSIZE pfn = LookUp<PFNGETTHEMEPARTSIZE>(xtpGetThemePartSize, "GetThemePartSize");
    if (pfn == NULL || m_hTheme == NULL)
        return E_FAIL;
    try
    {
        return pfn(m_hTheme, hDC, iPartId, iStateId, pRect, eSize, psz);
    }
    catch (...)
    {
        return E_FAIL;
    }
}

BOOL CXTPWinThemeWrapper::GetThemeSysBool(int iBoolId)
{
    PFNGETTHEMESYSBOOL pfn = LookUp<PFNGETTHEMESYSBOOL>(xtpGetThemeSysBool, "GetThemeSysBool");
    if (pfn == NULL || m_hTheme == NULL)
        return 0;
    try
    {
        return pfn(m_hTheme, iBoolId);
    }
    catch (...)
    {
        return 0;
    }
}

HRESULT CXTPWinThemeWrapper::GetCurrentThemeName(LPWSTR pszThemeFileName, int dwMaxNameChars,
                                                 LPWSTR pszColorBuff, int cchMaxColorChars,
                                                 LPWSTR pszSizeBuff, int cchMaxSizeChars)
{
    PFNGETCURRENTTHEMENAME pfn = LookUp<PFNGETCURRENTTHEMENAME>(xtpGetCurrentThemeName, "GetCurrentThemeName");
    if (pfn == NULL)
        return E_FAIL;
    try
    {
        return pfn(pszThemeFileName, dwMaxNameChars, pszColorBuff, cchMaxColorChars, pszSizeBuff,
                   cchMaxSizeChars);
    }
    catch (...)
    {
        return E_FAIL;
    }
}

BOOL CXTPWinThemeWrapper::IsThemeActive()
{
    if (m_hTheme == NULL)
        GetSharedData().CheckModule();

    PFNISTHEMEACTIVE pfn = LookUp<PFNISTHEMEACTIVE>(xtpIsThemeActive, "IsThemeActive");
    if (pfn == NULL)
        return 0;
    try
    {
        return pfn();
    }
    catch (...)
    {
        return 0;
    }
}

BOOL CXTPWinThemeWrapper::IsAppThemed()
{
    if (m_hTheme == NULL)
        return 0;

    PFNISAPPTHEMED pfn = LookUp<PFNISAPPTHEMED>(xtpIsAppThemed, "IsAppThemed");
    if (pfn == NULL)
        return 0;
    try
    {
        return pfn();
    }
    catch (...)
    {
        return 0;
    }
}

XTP_HPAINTBUFFER CXTPWinThemeWrapper::BeginBufferedPaint(HDC hdcTarget, const RECT* prcTarget, int dwFormat,
                                                         const void* pPaintParams, HDC* phdc)
{
    PFNBEGINBUFFEREDPAINT pfn = LookUp<PFNBEGINBUFFEREDPAINT>(xtpBeginBufferedPaint, "BeginBufferedPaint");
    if (pfn == NULL)
        return 0;
    try
    {
        return pfn(hdcTarget, prcTarget, dwFormat, pPaintParams, phdc);
    }
    catch (...)
    {
        return 0;
    }
}

void CXTPWinThemeWrapper::EndBufferedPaint(XTP_HPAINTBUFFER hBufferedPaint, BOOL fUpdateTarget)
{
    PFNENDBUFFEREDPAINT pfn = LookUp<PFNENDBUFFEREDPAINT>(xtpEndBufferedPaint, "EndBufferedPaint");
    if (pfn == NULL || hBufferedPaint == NULL)
        return;
    try
    {
        pfn(hBufferedPaint, fUpdateTarget);
    }
    catch (...)
    {
    }
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
    PFNDWMDEFWINDOWPROC pfn = (PFNDWMDEFWINDOWPROC)DwmEntry(0, "DwmDefWindowProc");
    if (pfn == NULL)
        return E_FAIL;
    try
    {
        return pfn(hWnd, msg, wParam, lParam, plResult);
    }
    catch (...)
    {
        return E_FAIL;
    }
}

HRESULT AFX_CDECL CXTPWinDwmWrapper::ExtendFrameIntoClientArea(HWND hWnd, int cxLeftWidth, int cyTopHeight,
                                                               int cxRightWidth, int cyBottomHeight)
{
    PFNDWMEXTENDFRAME pfn = (PFNDWMEXTENDFRAME)DwmEntry(1, "DwmExtendFrameIntoClientArea");
    if (pfn == NULL)
        return E_FAIL;
    XTP_MARGINS margins = { cxLeftWidth, cxRightWidth, cyTopHeight, cyBottomHeight };
    try
    {
        return pfn(hWnd, &margins);
    }
    catch (...)
    {
        return E_FAIL;
    }
}
