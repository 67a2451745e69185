// Visual styles forced on or off for a test: the visual-styles wrapper's
// entries are replaced by fakes that open every class (or none), report
// themes active (or not) and record each background drawn (part, state,
// rectangle). Restored at the end of the scope. Wine may or may not report a
// visual style, so a test that needs one branch forces it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "XTPWinThemeWrapper.h"

namespace testsupport
{
struct ThemePartDrawn
{
    int nPart;
    int nState;
    RECT rc;
    std::wstring strClass;  // the class list the drawing theme was opened with
};

class FakeVisualStyles
{
public:
    explicit FakeVisualStyles(bool bThemed = true)
    {
        CXTPWinThemeWrapper::CSharedData& data = CXTPWinThemeWrapper::GetSharedData();
        data.CheckModule();
        for (int i = 0; i < kEntries; i++)
            m_old[i] = data.m_rgEntries[kSlots[i]];
        data.m_rgEntries[CXTPWinThemeWrapper::xtpOpenThemeData] = bThemed ? (FARPROC)Open : (FARPROC)OpenNone;
        data.m_rgEntries[CXTPWinThemeWrapper::xtpCloseThemeData] = (FARPROC)Close;
        data.m_rgEntries[CXTPWinThemeWrapper::xtpDrawThemeBackground] = (FARPROC)DrawBackground;
        data.m_rgEntries[CXTPWinThemeWrapper::xtpGetThemeColor] = (FARPROC)GetColor;
        data.m_rgEntries[CXTPWinThemeWrapper::xtpIsThemeActive] = bThemed ? (FARPROC)Active : (FARPROC)Inactive;
        data.m_rgEntries[CXTPWinThemeWrapper::xtpIsAppThemed] = bThemed ? (FARPROC)Active : (FARPROC)Inactive;
        data.m_rgEntries[CXTPWinThemeWrapper::xtpGetThemeSysBool] = (FARPROC)SysBool;
        Drawn().clear();
    }
    ~FakeVisualStyles()
    {
        CXTPWinThemeWrapper::CSharedData& data = CXTPWinThemeWrapper::GetSharedData();
        for (int i = 0; i < kEntries; i++)
            data.m_rgEntries[kSlots[i]] = m_old[i];
    }
    FakeVisualStyles(const FakeVisualStyles&) = delete;
    FakeVisualStyles& operator=(const FakeVisualStyles&) = delete;

    // The backgrounds drawn since the fakes went in (or since the last clear).
    static std::vector<ThemePartDrawn>& Drawn()
    {
        static std::vector<ThemePartDrawn> s_drawn;
        return s_drawn;
    }

private:
    // The classes opened so far; a theme handle is 0x5EED plus the class's index.
    static std::vector<std::wstring>& Classes()
    {
        static std::vector<std::wstring> s_classes;
        return s_classes;
    }
    static HTHEME WINAPI Open(HWND, LPCWSTR pszClass)
    {
        std::wstring strClass = pszClass != NULL ? pszClass : L"";
        std::vector<std::wstring>& classes = Classes();
        size_t i = 0;
        while (i < classes.size() && classes[i] != strClass)
            i++;
        if (i == classes.size())
            classes.push_back(strClass);
        return (HTHEME)(INT_PTR)(0x5EED + i);
    }
    static std::wstring ClassOf(HTHEME hTheme)
    {
        size_t i = (size_t)((INT_PTR)hTheme - 0x5EED);
        return i < Classes().size() ? Classes()[i] : std::wstring();
    }
    static HTHEME WINAPI OpenNone(HWND, LPCWSTR) { return NULL; }
    static HRESULT WINAPI Close(HTHEME) { return S_OK; }
    static HRESULT WINAPI DrawBackground(HTHEME hTheme, HDC, int nPart, int nState, const RECT* pRect, const RECT*)
    {
        Drawn().push_back({ nPart, nState, *pRect, ClassOf(hTheme) });
        return S_OK;
    }
    static BOOL WINAPI SysBool(HTHEME, int) { return FALSE; }
    static HRESULT WINAPI GetColor(HTHEME, int, int, int, COLORREF* pColor)
    {
        *pColor = RGB(1, 2, 3);
        return S_OK;
    }
    static BOOL WINAPI Active() { return TRUE; }
    static BOOL WINAPI Inactive() { return FALSE; }

    static const int kEntries = 7;
    static constexpr int kSlots[kEntries] = { CXTPWinThemeWrapper::xtpOpenThemeData,
                                              CXTPWinThemeWrapper::xtpCloseThemeData,
                                              CXTPWinThemeWrapper::xtpDrawThemeBackground,
                                              CXTPWinThemeWrapper::xtpGetThemeColor,
                                              CXTPWinThemeWrapper::xtpIsThemeActive,
                                              CXTPWinThemeWrapper::xtpIsAppThemed,
                                              CXTPWinThemeWrapper::xtpGetThemeSysBool };
    FARPROC m_old[kEntries];
};
} // namespace testsupport
