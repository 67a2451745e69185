// Visual-styles wrapper: "UxTheme.dll" and "dwmapi.dll" are never linked; each
// entry point is looked up by name on its first use. When a library or an entry
// is missing, every wrapper reports failure and callers draw on their own.
#pragma once

#include "XTPCommon.h"
#include <uxtheme.h>

typedef HANDLE XTP_HPAINTBUFFER;

class CXTPWinThemeWrapper
{
public:
    CXTPWinThemeWrapper();
    virtual ~CXTPWinThemeWrapper();

    void OpenThemeData(HWND hWnd, LPCWSTR pszClassList);
    void CloseThemeData();

    HRESULT DrawThemeBackground(HDC hDC, int iPartId, int iStateId, const RECT* pRect, const RECT* pClipRect);
    // pOptions points to the platform's DTTOPTS record (or is null).
    HRESULT DrawThemeTextEx(HDC hDC, int iPartId, int iStateId, LPCWSTR pszText, int iCharCount,
                            DWORD dwTextFlags, LPRECT pRect, const void* pOptions);
    HRESULT GetThemeColor(int iPartId, int iStateId, int iPropId, COLORREF* pColor);
    HRESULT GetThemePartSize(HDC hDC, int iPartId, int iStateId, RECT* pRect, int eSize, SIZE* psz);
    BOOL GetThemeSysBool(int iBoolId);
    HRESULT GetCurrentThemeName(LPWSTR pszThemeFileName, int dwMaxNameChars, LPWSTR pszColorBuff,
                                int cchMaxColorChars, LPWSTR pszSizeBuff, int cchMaxSizeChars);
    BOOL IsThemeActive();
    BOOL IsAppThemed();
    // pPaintParams points to the platform's BP_PAINTPARAMS record (or is null).
    XTP_HPAINTBUFFER BeginBufferedPaint(HDC hdcTarget, const RECT* prcTarget, int dwFormat,
                                        const void* pPaintParams, HDC* phdc);
    void EndBufferedPaint(XTP_HPAINTBUFFER hBufferedPaint, BOOL fUpdateTarget);

    BOOL IsValid() const { return m_hTheme != NULL; }
    BOOL IsAppThemeReady();
    HTHEME GetThemeHandle() const { return m_hTheme; }

    // The entry slots of the shared table.
    enum ThemeEntry
    {
        xtpOpenThemeData,
        xtpCloseThemeData,
        xtpDrawThemeBackground,
        xtpDrawThemeTextEx,
        xtpGetThemeColor,
        xtpGetThemePartSize,
        xtpGetThemeSysBool,
        xtpGetCurrentThemeName,
        xtpIsThemeActive,
        xtpIsAppThemed,
        xtpBeginBufferedPaint,
        xtpEndBufferedPaint,
        xtpThemeEntryCount = 52
    };

    // The shared table (built with the program's globals, never freed).
    struct CSharedData
    {
        FARPROC m_rgEntries[xtpThemeEntryCount];
        HMODULE m_hThemeDll;
        DWORD m_dwComCtlVersion;
        CSharedData();
        FARPROC GetEntry(int nEntry, LPCSTR lpszName);
        void CheckModule();
    };
    static CSharedData& AFX_CDECL GetSharedData();

private:
    CXTPWinThemeWrapper(const CXTPWinThemeWrapper&);
    CXTPWinThemeWrapper& operator=(const CXTPWinThemeWrapper&);

    HTHEME m_hTheme;
};

// Desktop-composition wrapper ("dwmapi.dll").
class CXTPWinDwmWrapper
{
public:
    static HRESULT AFX_CDECL DefWindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* plResult);
    static HRESULT AFX_CDECL ExtendFrameIntoClientArea(HWND hWnd, int cxLeftWidth, int cyTopHeight,
                                                       int cxRightWidth, int cyBottomHeight);

    // The entry slots and module; tests may replace the entries.
    typedef HRESULT (WINAPI* PFNDWMDEFWINDOWPROC)(HWND, UINT, WPARAM, LPARAM, LRESULT*);
    typedef HRESULT (WINAPI* PFNDWMEXTENDFRAME)(HWND, const void* pMargins);
    struct CSharedData
    {
        FARPROC m_rgEntries[3];
        HMODULE m_hDwmDll;
        BOOL m_bLookedUp[3];
        CSharedData();
    };
    static CSharedData& AFX_CDECL GetSharedData();
};
