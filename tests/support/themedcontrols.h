// Helpers of the extended controls' tests: a dialog to host controls, the
// toolkit-wide theme number put back after each test, and visual styles
// forced on through the visual-styles wrapper's entry table.
#pragma once

#include "support/canvas.h"
#include "support/wndtest.h"
#include "XTButton.h"
#include "XTPWinThemeWrapper.h"
#include "XTThemeManager.h"

#include <vector>

namespace testsupport
{
// A modeless dialog from a template in memory; its controls are created from
// the template, so class-library objects subclass them like dialog members.
class HostDialog : public CDialog
{
public:
    explicit HostDialog(testsupport::DialogTemplate& tmpl)
    {
        CreateIndirect(tmpl.Get(), NULL);
    }
    ~HostDialog()
    {
        if (::IsWindow(m_hWnd))
            DestroyWindow();
    }
};

// Puts the toolkit-wide theme number back to classic around each test.
class ThemeTest : public ::testing::Test
{
protected:
    void SetUp() override { XTThemeManager()->SetTheme(xtThemeDefault); }
    void TearDown() override { XTThemeManager()->SetTheme(xtThemeDefault); }
};

// Visual styles on, for the themed branches Wine never takes by itself:
// every part is recorded and drawn as a solid fill two pixels inside its
// rectangle, so that what lay under it shows at the edges.
class FakeVisualStyles
{
public:
    struct Call
    {
        int nPart;
        int nState;
        RECT rc;
    };
    static COLORREF PartColour() { return RGB(12, 34, 56); }
    static std::vector<Call>& Calls()
    {
        static std::vector<Call> calls;
        return calls;
    }

    FakeVisualStyles()
    {
        CXTPWinThemeWrapper::CSharedData& data = CXTPWinThemeWrapper::GetSharedData();
        data.CheckModule();
        m_saved.assign(data.m_rgEntries, data.m_rgEntries + CXTPWinThemeWrapper::xtpThemeEntryCount);
        m_dwSavedVersion = data.m_dwComCtlVersion;
        data.m_rgEntries[CXTPWinThemeWrapper::xtpOpenThemeData] = (FARPROC)&Open;
        data.m_rgEntries[CXTPWinThemeWrapper::xtpCloseThemeData] = (FARPROC)&Close;
        data.m_rgEntries[CXTPWinThemeWrapper::xtpIsThemeActive] = (FARPROC)&Active;
        data.m_rgEntries[CXTPWinThemeWrapper::xtpDrawThemeBackground] = (FARPROC)&Draw;
        data.m_dwComCtlVersion = MAKELONG(0, 6);
        Calls().clear();
    }
    ~FakeVisualStyles()
    {
        CXTPWinThemeWrapper::CSharedData& data = CXTPWinThemeWrapper::GetSharedData();
        for (size_t i = 0; i < m_saved.size(); i++)
            data.m_rgEntries[i] = m_saved[i];
        data.m_dwComCtlVersion = m_dwSavedVersion;
    }

private:
    static HTHEME WINAPI Open(HWND, LPCWSTR) { return (HTHEME)(INT_PTR)0x5150; }
    static HRESULT WINAPI Close(HTHEME) { return S_OK; }
    static BOOL WINAPI Active() { return TRUE; }
    static HRESULT WINAPI Draw(HTHEME, HDC hDC, int nPart, int nState, const RECT* pRect, const RECT*)
    {
        Calls().push_back({nPart, nState, *pRect});
        RECT rcPart = *pRect;
        ::InflateRect(&rcPart, -2, -2);
        HBRUSH hBrush = ::CreateSolidBrush(PartColour());
        ::FillRect(hDC, &rcPart, hBrush);
        ::DeleteObject(hBrush);
        return S_OK;
    }

    std::vector<FARPROC> m_saved;
    DWORD m_dwSavedVersion;
};
// Draws a button into a canvas of its size, in an item state, the way its
// parent's WM_DRAWITEM would have it drawn.
inline void DrawButtonInto(Canvas& canvas, CXTButton& button, UINT nState, UINT nAction = ODA_DRAWENTIRE)
{
    DRAWITEMSTRUCT dis = {};
    dis.CtlType = ODT_BUTTON;
    dis.hwndItem = button.m_hWnd;
    dis.hDC = canvas.Handle();
    dis.itemState = nState;
    dis.itemAction = nAction;
    button.GetClientRect(&dis.rcItem);
    button.DrawItem(&dis);
    ::GdiFlush();
}

// How many pixels of the canvas have the colour.
inline int CountPixels(const Canvas& canvas, COLORREF clr)
{
    int nCount = 0;
    for (int y = 0; y < canvas.Height(); y++)
        for (int x = 0; x < canvas.Width(); x++)
            nCount += canvas.Pixel(x, y) == clr;
    return nCount;
}
} // namespace testsupport
