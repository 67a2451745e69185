// The visual-styles and composition wrappers: failure values without a
// library, a handle or a theme; entries that fault inside the library; the
// themed branch where the system has a style; the composition margins.
#include <gtest/gtest.h>

#include "support/canvas.h"
#include "XTPWinThemeWrapper.h"

namespace
{
int* volatile s_pNowhere = NULL;

void WriteNowhere()
{
    *s_pNowhere = 1;
}
} // namespace

namespace
{
HANDLE WINAPI FakeOpenThemeDataFails(HWND, LPCWSTR)
{
    return NULL;
}
}

TEST(WinThemeWrapper, WithoutAThemeHandleEverythingFails)
{
    CXTPWinThemeWrapper theme;
    EXPECT_FALSE(theme.IsValid());
    theme.CloseThemeData();
    EXPECT_FALSE(theme.IsValid());

    // The library answers as it does when no visual style is active.
    CXTPWinThemeWrapper::CSharedData& data = CXTPWinThemeWrapper::GetSharedData();
    data.CheckModule();
    FARPROC pOld = data.m_rgEntries[CXTPWinThemeWrapper::xtpOpenThemeData];
    data.m_rgEntries[CXTPWinThemeWrapper::xtpOpenThemeData] = (FARPROC)FakeOpenThemeDataFails;
    theme.OpenThemeData(NULL, L"BUTTON");
    data.m_rgEntries[CXTPWinThemeWrapper::xtpOpenThemeData] = pOld;
    EXPECT_FALSE(theme.IsValid());

    EXPECT_EQ(0, theme.IsAppThemed());
    EXPECT_EQ(0, theme.GetThemeSysBool(5));
    COLORREF clr = 0x123456;
    EXPECT_EQ(E_FAIL, theme.GetThemeColor(1, 1, 3803, &clr));
    EXPECT_EQ(0x123456u, clr);

    testsupport::Canvas canvas(10, 10, RGB(1, 2, 3));
    RECT rc = { 0, 0, 10, 10 };
    EXPECT_EQ(E_FAIL, theme.DrawThemeBackground(canvas.Handle(), 1, 1, &rc, NULL));
    EXPECT_EQ(RGB(1, 2, 3), canvas.Pixel(5, 5));
    EXPECT_EQ(E_FAIL, theme.DrawThemeTextEx(canvas.Handle(), 1, 1, L"x", 1, 0, &rc, NULL));
    SIZE sz;
    EXPECT_EQ(E_FAIL, theme.GetThemePartSize(canvas.Handle(), 1, 1, &rc, 1, &sz));
}

TEST(WinThemeWrapper, ThemedBranchDrawsWhenTheSystemHasAStyle)
{
    CXTPWinThemeWrapper theme;
    theme.OpenThemeData(NULL, L"BUTTON");
    if (!theme.IsValid())
    {
        EXPECT_FALSE(theme.IsAppThemeReady() && theme.IsValid());
        GTEST_SKIP() << "no visual style on this system";
    }
    testsupport::Canvas canvas(40, 20, RGB(1, 2, 3));
    RECT rc = { 0, 0, 40, 20 };
    EXPECT_EQ(S_OK, theme.DrawThemeBackground(canvas.Handle(), 1 /* push button */, 1, &rc, NULL));
    EXPECT_NE(RGB(1, 2, 3), canvas.Pixel(20, 10));
    theme.CloseThemeData();
    EXPECT_FALSE(theme.IsValid());
    EXPECT_EQ(0, theme.IsAppThemed());  // no handle held
}

namespace
{
struct CMargins
{
    int l, r, t, b;
};
CMargins g_margins;
HWND g_hWndMargins;

HRESULT WINAPI FakeExtendFrame(HWND hWnd, const void* p)
{
    g_hWndMargins = hWnd;
    g_margins = *(const CMargins*)p;
    return S_OK;
}
}

TEST(WinDwmWrapper, MarginsAreLeftRightTopBottom)
{
    CXTPWinDwmWrapper::CSharedData& data = CXTPWinDwmWrapper::GetSharedData();
    FARPROC pOld = data.m_rgEntries[1];
    BOOL bOldLooked = data.m_bLookedUp[1];
    data.m_rgEntries[1] = (FARPROC)FakeExtendFrame;
    data.m_bLookedUp[1] = TRUE;

    EXPECT_EQ(S_OK, CXTPWinDwmWrapper::ExtendFrameIntoClientArea((HWND)(UINT_PTR)0x10, 1, 2, 3, 4));
    EXPECT_EQ((HWND)(UINT_PTR)0x10, g_hWndMargins);
    EXPECT_EQ(1, g_margins.l);
    EXPECT_EQ(3, g_margins.r);
    EXPECT_EQ(2, g_margins.t);
    EXPECT_EQ(4, g_margins.b);

    data.m_rgEntries[1] = NULL;
    EXPECT_EQ(E_FAIL, CXTPWinDwmWrapper::ExtendFrameIntoClientArea(NULL, 1, 2, 3, 4));
    data.m_rgEntries[1] = pOld;
    data.m_bLookedUp[1] = bOldLooked;

    if (data.m_hDwmDll == NULL)
    {
        LRESULT lResult = 0;
        EXPECT_EQ(E_FAIL, CXTPWinDwmWrapper::DefWindowProc(NULL, 0, 0, 0, &lResult));
    }
}

namespace
{
HANDLE WINAPI FakeOpenThemeData(HWND, LPCWSTR)
{
    return (HANDLE)(UINT_PTR)0x1234;
}

HRESULT WINAPI FaultingGetThemeColor(HANDLE, int, int, int, COLORREF*)
{
    WriteNowhere();
    return S_OK;
}

HRESULT WINAPI FakeCloseThemeData(HANDLE)
{
    return S_OK;
}
} // namespace

TEST(WinThemeWrapper, AnEntryThatFaultsGivesTheFailureValue)
{
    CXTPWinThemeWrapper::CSharedData& data = CXTPWinThemeWrapper::GetSharedData();
    data.CheckModule();
    const int slots[] = { CXTPWinThemeWrapper::xtpOpenThemeData, CXTPWinThemeWrapper::xtpGetThemeColor,
                          CXTPWinThemeWrapper::xtpCloseThemeData };
    FARPROC saved[3];
    for (int i = 0; i < 3; i++)
        saved[i] = data.m_rgEntries[slots[i]];
    data.m_rgEntries[CXTPWinThemeWrapper::xtpOpenThemeData] = (FARPROC)FakeOpenThemeData;
    data.m_rgEntries[CXTPWinThemeWrapper::xtpGetThemeColor] = (FARPROC)FaultingGetThemeColor;
    data.m_rgEntries[CXTPWinThemeWrapper::xtpCloseThemeData] = (FARPROC)FakeCloseThemeData;
    {
        CXTPWinThemeWrapper theme;
        theme.OpenThemeData(NULL, L"BUTTON");
        ASSERT_TRUE(theme.IsValid());
        COLORREF clr = 0x123456;
        EXPECT_EQ(E_FAIL, theme.GetThemeColor(1, 1, 3803, &clr));
        EXPECT_EQ(0x123456u, clr);
        EXPECT_EQ(E_FAIL, theme.GetThemeColor(1, 1, 3803, &clr)) << "and again";
    }
    for (int i = 0; i < 3; i++)
        data.m_rgEntries[slots[i]] = saved[i];
}
