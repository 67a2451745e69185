// ctest: run-serial (reads back pixels from the screen)
// Drop shadows: made for popups as the bar's shadow settings and the system allow,
// placed along the bottom and right edges, clipped by other popups, joined
// where they meet, following their owner, and their alpha pictures.
#include <gtest/gtest.h>

#include "XTPColorManager.h"
#include "XTPShadowManager.h"
#include "XTPShadowSettings.h"
#include "support/canvas.h"
#include "support/gdi_count.h"
#include "support/snapshot.h"
#include "support/testwindows.h"

#include <memory>
#include <string>
#include <vector>

namespace
{
// The shadow switches a paint manager would give.
class ShadowSettings : public CXTPShadowSettings
{
public:
    BOOL IsShadowEnabled() const override { return m_bEnabled; }
    int GetShadowOptions() const override { return m_nOptions; }
    COLORREF GetShadowColor() const override { return m_clrShadow; }

    void EnableShadow(BOOL bEnable) { m_bEnabled = bEnable; }
    void SetShadowOptions(int nOptions) { m_nOptions = nOptions; }

private:
    BOOL m_bEnabled = FALSE;
    int m_nOptions = 0;

public:
    COLORREF m_clrShadow = 0;
};

class PopupBar : public CXTPTrackableBar
{
public:
    PopupBar(int x, int y, int cx, int cy, CXTPShadowSettings* pPaintManager)
        : m_pPaintManager(pPaintManager)
    {
        m_hWnd = testsupport::CreatePlainWindow(x, y, cx, cy);
    }
    ~PopupBar() override
    {
        XTPShadowsManager()->RemoveShadow(this);
        testsupport::DestroyQuietly(m_hWnd);
    }

    HWND GetTrackableHwnd() const override { return m_hWnd; }
    int HitTestTrackedPoint(CPoint) override { return 0; }
    void ClearSelection() override {}
    void ExitTrackingMode() override {}
    void OnMouseMove(UINT, CPoint) override {}
    CXTPShadowSettings* GetPaintManager() override { return m_pPaintManager; }
    BOOL IsCustomizeMode() override { return m_bCustomize; }
    CWnd* GetSite() override { return NULL; }

    HWND m_hWnd = NULL;
    CXTPShadowSettings* m_pPaintManager;
    BOOL m_bCustomize = FALSE;
};

std::vector<CXTPShadowsManager::CShadowWnd*> ShadowsOf(CXTPTrackableBar* pOwner)
{
    std::vector<CXTPShadowsManager::CShadowWnd*> result;
    const CXTPShadowsManager::CShadowList& list = XTPShadowsManager()->GetShadows();
    POSITION pos = list.GetHeadPosition();
    while (pos != NULL)
    {
        CXTPShadowsManager::CShadowWnd* pShadow = list.GetNext(pos);
        if (pShadow->GetOwnerBar() == pOwner)
            result.push_back(pShadow);
    }
    return result;
}

CRect WindowRect(CWnd* pWnd)
{
    CRect rc;
    pWnd->GetWindowRect(&rc);
    return rc;
}

// The shadow windows (visible or not) of this thread.
BOOL CALLBACK AddShadowWindow(HWND hWnd, LPARAM lParam)
{
    char szClass[64] = "";
    ::GetClassNameA(hWnd, szClass, sizeof(szClass));
    if (strncmp(szClass, "XTPShadow", 9) == 0)
        reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hWnd);
    return TRUE;
}

std::vector<HWND> ShadowWindows()
{
    std::vector<HWND> result;
    ::EnumThreadWindows(::GetCurrentThreadId(), AddShadowWindow, reinterpret_cast<LPARAM>(&result));
    return result;
}

BOOL CALLBACK CountWindow(HWND, LPARAM lParam)
{
    ++*reinterpret_cast<int*>(lParam);
    return TRUE;
}

int CountThreadWindows()
{
    int nCount = 0;
    ::EnumThreadWindows(::GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&nCount));
    return nCount;
}

// What the screen shows in a rectangle, after Wine had time to draw it.
std::vector<COLORREF> ScreenPixels(const CRect& rc)
{
    testsupport::Pump(0);
    ::Sleep(50);
    testsupport::Pump(0);
    testsupport::Canvas canvas(rc.Width(), rc.Height());
    HDC hScreen = ::GetDC(NULL);
    ::BitBlt(canvas.Handle(), 0, 0, rc.Width(), rc.Height(), hScreen, rc.left, rc.top, SRCCOPY);
    ::ReleaseDC(NULL, hScreen);
    ::GdiFlush();
    std::vector<COLORREF> pixels;
    for (int y = 0; y < rc.Height(); y++)
        for (int x = 0; x < rc.Width(); x++)
            pixels.push_back(canvas.Pixel(x, y));
    return pixels;
}

// Records the pictures the shadows hand to UpdateLayeredWindow (top row
// first) and where the window is after it, then passes them on.
struct LayeredCall
{
    HWND hWnd;
    CRect rcAfter;
    std::vector<DWORD> pixels;
    BOOL bResult;
};
std::vector<LayeredCall>& LayeredCalls()
{
    static std::vector<LayeredCall> s_calls;
    return s_calls;
}
CXTPShadowsManager::PFNUPDATELAYEREDWINDOW g_pfnRealUpdateLayeredWindow = NULL;

BOOL WINAPI RecordUpdateLayeredWindow(HWND hWnd, HDC hdcDst, POINT* pptDst, SIZE* psize, HDC hdcSrc, POINT* pptSrc,
                                      COLORREF crKey, BLENDFUNCTION* pblend, DWORD dwFlags)
{
    LayeredCall call;
    call.hWnd = hWnd;
    DIBSECTION ds = {};
    HGDIOBJ hBitmap = ::GetCurrentObject(hdcSrc, OBJ_BITMAP);
    if (psize != NULL && ::GetObjectA(hBitmap, sizeof(ds), &ds) == sizeof(ds) && ds.dsBm.bmBits != NULL)
    {
        const BYTE* pBits = static_cast<const BYTE*>(ds.dsBm.bmBits);
        for (int y = 0; y < psize->cy; y++)
        {
            int yRow = ds.dsBmih.biHeight > 0 ? ds.dsBm.bmHeight - 1 - y : y;
            const DWORD* pRow = reinterpret_cast<const DWORD*>(pBits + (size_t)yRow * ds.dsBm.bmWidthBytes);
            call.pixels.insert(call.pixels.end(), pRow, pRow + psize->cx);
        }
    }
    call.bResult = g_pfnRealUpdateLayeredWindow(hWnd, hdcDst, pptDst, psize, hdcSrc, pptSrc, crKey, pblend, dwFlags);
    ::GetWindowRect(hWnd, &call.rcAfter);
    LayeredCalls().push_back(call);
    return call.bResult;
}

std::vector<DWORD> ExpectedPicture(BOOL bHorizontal, const CRect& rc, COLORREF clr, int nOptions)
{
    std::vector<DWORD> pixels((size_t)rc.Width() * rc.Height());
    CXTPShadowsManager::BuildShadowPicture(bHorizontal, rc.Width(), rc.Height(), clr, nOptions, pixels.data());
    return pixels;
}

class ShadowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_settings.EnableShadow(TRUE);
        m_settings.SetShadowOptions(xtpShadowOfficeAlpha);
        m_bAlphaBefore = CXTPShadowsManager::IsAlphaShadow();
    }
    void TearDown() override
    {
        CXTPShadowsManager::EnableAlphaShadow(m_bAlphaBefore);
        EXPECT_EQ(0, XTPShadowsManager()->GetShadowCount());
    }
    ShadowSettings m_settings;
    BOOL m_bAlphaBefore = FALSE;
};
} // namespace

TEST_F(ShadowTest, SolidShadowsAreTwoPixelStripsAlongTheBottomAndRight)
{
    CXTPShadowsManager::EnableAlphaShadow(FALSE);
    PopupBar bar(200, 200, 100, 80, &m_settings);
    XTPShadowsManager()->SetShadow(&bar);

    std::vector<CXTPShadowsManager::CShadowWnd*> shadows = ShadowsOf(&bar);
    ASSERT_EQ(2u, shadows.size());
    EXPECT_TRUE(shadows[0]->IsHorizontal());
    EXPECT_EQ(CRect(202, 280, 302, 282), WindowRect(shadows[0]));
    EXPECT_FALSE(shadows[1]->IsHorizontal());
    EXPECT_EQ(CRect(300, 202, 302, 280), WindowRect(shadows[1]));
    EXPECT_TRUE(shadows[0]->IsWindowVisible());
    EXPECT_EQ(0u, shadows[0]->GetExStyle() & WS_EX_LAYERED);
    EXPECT_NE(0u, shadows[0]->GetExStyle() & WS_EX_TOOLWINDOW);
    EXPECT_EQ(HTTRANSPARENT, (int)shadows[0]->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(250, 281)));

    // The strip paints the button-shadow colour (read back from the screen:
    // the shadow is topmost).
    shadows[0]->UpdateWindow();
    testsupport::Pump(30);
    HDC hScreen = ::GetDC(NULL);
    COLORREF clrShadow = ::GetPixel(hScreen, 250, 281);
    ::ReleaseDC(NULL, hScreen);
    EXPECT_EQ(GetXTPSysColor(COLOR_BTNSHADOW), clrShadow);
    XTPShadowsManager()->RemoveShadow(&bar);
    EXPECT_EQ(0, XTPShadowsManager()->GetShadowCount());
}

TEST_F(ShadowTest, LayeredShadowsAreFourPixelsWide)
{
    CXTPShadowsManager::EnableAlphaShadow(TRUE);
    if (!CXTPShadowsManager::IsAlphaShadow())
        GTEST_SKIP() << "no layered windows on this display";
    PopupBar bar(200, 200, 100, 80, &m_settings);
    XTPShadowsManager()->SetShadow(&bar);
    std::vector<CXTPShadowsManager::CShadowWnd*> shadows = ShadowsOf(&bar);
    ASSERT_EQ(2u, shadows.size());
    EXPECT_EQ(CRect(204, 280, 304, 284), WindowRect(shadows[0]));
    EXPECT_EQ(CRect(300, 204, 304, 280), WindowRect(shadows[1]));
    EXPECT_NE(0u, shadows[0]->GetExStyle() & WS_EX_LAYERED);
    XTPShadowsManager()->RemoveShadow(&bar);
}

namespace
{
std::vector<HWND> g_pressed;
void LogPresses(HWND hWnd, UINT nMsg, WPARAM, LPARAM)
{
    if (nMsg == WM_LBUTTONDOWN)
        g_pressed.push_back(hWnd);
}
} // namespace

// A real click on a layered shadow reaches the window beneath it (a click
// beside an open menu is a click outside it): the system passes the shadow
// by, as the shadow's own hit test does.
TEST_F(ShadowTest, AClickOnALayeredShadowReachesTheWindowBeneath)
{
    CXTPShadowsManager::EnableAlphaShadow(TRUE);
    if (!CXTPShadowsManager::IsAlphaShadow())
        GTEST_SKIP() << "no layered windows on this display";
    HWND hBeneath = testsupport::CreatePlainWindow(150, 150, 300, 250);
    PopupBar bar(200, 200, 100, 80, &m_settings);
    XTPShadowsManager()->SetShadow(&bar);
    std::vector<CXTPShadowsManager::CShadowWnd*> shadows = ShadowsOf(&bar);
    ASSERT_EQ(2u, shadows.size());
    const CPoint pt = WindowRect(shadows[0]).CenterPoint();
    testsupport::Pump(30);

    g_pressed.clear();
    testsupport::MessageLog() = LogPresses;
    ::SetCursorPos(pt.x, pt.y);
    testsupport::Pump(30);
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_MOUSE;
    in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ::SendInput(2, in, sizeof(INPUT));
    for (int n = 0; n < 20 && g_pressed.empty(); n++)
        testsupport::Pump(25);
    testsupport::MessageLog() = NULL;
    EXPECT_EQ(std::vector<HWND>({hBeneath}), g_pressed) << "the press at the shadow went elsewhere or was lost";

    XTPShadowsManager()->RemoveShadow(&bar);
    testsupport::DestroyQuietly(hBeneath);
}

TEST_F(ShadowTest, AKeptShadowWindowShowsTheNextShadowLikeANewOne)
{
    CXTPShadowsManager::EnableAlphaShadow(TRUE);
    if (!CXTPShadowsManager::IsAlphaShadow())
        GTEST_SKIP() << "no layered windows on this display";
    XTPShadowsManager()->DestroyParked();
    // A white ground under the popup and its shadows.
    HWND hGround = testsupport::CreatePlainWindow(150, 150, 220, 200);
    auto round = [&]() {
        const CRect rcBottom(204, 280, 304, 284), rcRight(300, 204, 304, 280);

        // What new windows show for the popup at 200,200 100 x 80.
        std::vector<COLORREF> freshBottom, freshRight;
        {
            PopupBar bar(200, 200, 100, 80, &m_settings);
            XTPShadowsManager()->SetShadow(&bar);
            freshBottom = ScreenPixels(rcBottom);
            freshRight = ScreenPixels(rcRight);
            XTPShadowsManager()->RemoveShadow(&bar);
        }
        XTPShadowsManager()->DestroyParked();

        // Shadows of another size, the bottom one clipped by a popup over
        // it, are closed and kept...
        std::vector<HWND> kept;
        {
            PopupBar lower(400, 300, 60, 200, &m_settings);
            XTPShadowsManager()->SetShadow(&lower);
            PopupBar upper(300, 400, 120, 60, &m_settings);
            XTPShadowsManager()->SetShadow(&upper);
            for (CXTPShadowsManager::CShadowWnd* pShadow : ShadowsOf(&upper))
                kept.push_back(pShadow->GetSafeHwnd());
            HRGN hRgn = ::CreateRectRgn(0, 0, 0, 0);
            EXPECT_NE(ERROR, ::GetWindowRgn(kept[0], hRgn));   // the shadow under the lower popup
            ::DeleteObject(hRgn);
            XTPShadowsManager()->RemoveShadow(&lower);
            XTPShadowsManager()->RemoveShadow(&upper);
        }
        EXPECT_EQ(4, XTPShadowsManager()->GetParkedCount());
        for (HWND hWnd : ShadowWindows())
            EXPECT_FALSE(::IsWindowVisible(hWnd)) << "a closed popup left a shadow on the screen";

        // ... and serve the popup at 200,200: its place, size, whole window,
        // z-order and picture as if new.
        PopupBar bar(200, 200, 100, 80, &m_settings);
        LayeredCalls().clear();
        XTPShadowsManager()->SetShadow(&bar);
        std::vector<CXTPShadowsManager::CShadowWnd*> shadows = ShadowsOf(&bar);
        ASSERT_EQ(2u, shadows.size()) << "no shadows";
        EXPECT_EQ(2, XTPShadowsManager()->GetParkedCount());
        // Each was given the picture of its new size, in its new place.
        ASSERT_EQ(2u, LayeredCalls().size());
        for (size_t i = 0; i < 2; i++)
        {
            const LayeredCall& call = LayeredCalls()[i];
            const CRect& rc = i == 0 ? rcBottom : rcRight;
            EXPECT_EQ(kept[i], call.hWnd);
            EXPECT_TRUE(call.bResult);
            EXPECT_EQ(rc, call.rcAfter);
            EXPECT_TRUE(ExpectedPicture(i == 0, rc, 0, xtpShadowOfficeAlpha) == call.pixels) << "picture " << i;
        }
        EXPECT_EQ(kept[0], shadows[0]->GetSafeHwnd());
        EXPECT_EQ(kept[1], shadows[1]->GetSafeHwnd());
        EXPECT_TRUE(shadows[0]->IsHorizontal());
        EXPECT_FALSE(shadows[1]->IsHorizontal());
        EXPECT_EQ(rcBottom, WindowRect(shadows[0]));
        EXPECT_EQ(rcRight, WindowRect(shadows[1]));
        for (CXTPShadowsManager::CShadowWnd* pShadow : shadows)
        {
            EXPECT_TRUE(pShadow->IsWindowVisible());
            EXPECT_NE(0u, pShadow->GetExStyle() & WS_EX_TOPMOST);
            EXPECT_EQ(&bar, pShadow->GetOwnerBar());
            HRGN hRgn = ::CreateRectRgn(0, 0, 0, 0);
            EXPECT_EQ(ERROR, ::GetWindowRgn(pShadow->GetSafeHwnd(), hRgn)) << "the old region stayed";
            ::DeleteObject(hRgn);
        }
        EXPECT_TRUE(freshBottom == ScreenPixels(rcBottom)) << "the bottom shadow's picture differs";
        EXPECT_TRUE(freshRight == ScreenPixels(rcRight)) << "the right shadow's picture differs";
        EXPECT_FALSE(testsupport::SaveScreenSnapshot(hGround, "reused_shadow").empty());

        // Kept again and reused at the same size, they keep their picture
        // unless the colour differs.
        XTPShadowsManager()->RemoveShadow(&bar);
        LayeredCalls().clear();
        XTPShadowsManager()->SetShadow(&bar);
        EXPECT_EQ(0u, LayeredCalls().size());
        XTPShadowsManager()->RemoveShadow(&bar);
        m_settings.m_clrShadow = RGB(200, 100, 50);
        XTPShadowsManager()->SetShadow(&bar);
        ASSERT_EQ(2u, LayeredCalls().size());
        EXPECT_TRUE(ExpectedPicture(TRUE, rcBottom, RGB(200, 100, 50), xtpShadowOfficeAlpha) ==
                    LayeredCalls()[0].pixels);
        m_settings.m_clrShadow = 0;
        shadows = ShadowsOf(&bar);
        ASSERT_EQ(2u, shadows.size());
        EXPECT_EQ(rcBottom, WindowRect(shadows[0]));

        // Still following the owner, and gone from the screen when it closes.
        ::ShowWindow(bar.m_hWnd, SW_HIDE);
        EXPECT_FALSE(shadows[0]->IsWindowVisible());
        ::ShowWindow(bar.m_hWnd, SW_SHOWNA);
        EXPECT_TRUE(shadows[0]->IsWindowVisible());
        XTPShadowsManager()->RemoveShadow(&bar);
        for (HWND hWnd : ShadowWindows())
            EXPECT_FALSE(::IsWindowVisible(hWnd)) << "a closed popup left a shadow on the screen";
    };
    g_pfnRealUpdateLayeredWindow = XTPShadowsManager()->m_pfnUpdateLayeredWindow;
    XTPShadowsManager()->m_pfnUpdateLayeredWindow = RecordUpdateLayeredWindow;
    // A first round lets Wine make the cached device contexts it keeps;
    // the second must leave no window or GDI object behind.
    round();
    XTPShadowsManager()->DestroyParked();
    const int nWindowsBefore = CountThreadWindows();
    const testsupport::GdiCensus gdiBefore = testsupport::TakeGdiCensus();
    round();
    // The kept windows are the manager's to destroy; nothing else is left.
    XTPShadowsManager()->DestroyParked();
    EXPECT_EQ(0, XTPShadowsManager()->GetParkedCount());
    EXPECT_EQ(nWindowsBefore, CountThreadWindows());
    const testsupport::GdiCensus gdiAfter = testsupport::TakeGdiCensus();
    ASSERT_TRUE(gdiAfter.bValid);
    EXPECT_EQ(gdiBefore.Total(), gdiAfter.Total()) << gdiBefore.Difference(gdiAfter);
    XTPShadowsManager()->m_pfnUpdateLayeredWindow = g_pfnRealUpdateLayeredWindow;
    testsupport::DestroyQuietly(hGround);
}

TEST_F(ShadowTest, NoShadowWhenSwitchedOffOrInCustomizeModeOrRefusedBySystem)
{
    PopupBar bar(200, 200, 100, 80, &m_settings);
    m_settings.EnableShadow(FALSE);
    XTPShadowsManager()->SetShadow(&bar);
    EXPECT_EQ(0, XTPShadowsManager()->GetShadowCount());

    m_settings.EnableShadow(TRUE);
    bar.m_bCustomize = TRUE;
    XTPShadowsManager()->SetShadow(&bar);
    EXPECT_EQ(0, XTPShadowsManager()->GetShadowCount());
    bar.m_bCustomize = FALSE;

    // Without option bit 0 shadows need alpha shadows and the system's
    // drop-shadow setting.
    m_settings.SetShadowOptions(0);
    CXTPShadowsManager::EnableAlphaShadow(FALSE);
    XTPShadowsManager()->SetShadow(&bar);
    EXPECT_EQ(0, XTPShadowsManager()->GetShadowCount());

    CXTPShadowsManager::EnableAlphaShadow(TRUE);
    BOOL bSystem = FALSE;
    ::SystemParametersInfoA(0x1024 /* SPI_GETDROPSHADOW */, 0, &bSystem, 0);
    XTPShadowsManager()->SetShadow(&bar);
    EXPECT_EQ((bSystem && CXTPShadowsManager::IsAlphaShadow()) ? 2 : 0, XTPShadowsManager()->GetShadowCount());
    XTPShadowsManager()->RemoveShadow(&bar);
}

TEST_F(ShadowTest, ShadowsFollowTheOwnerAndDieWithIt)
{
    CXTPShadowsManager::EnableAlphaShadow(FALSE);
    PopupBar* pBar = new PopupBar(200, 200, 100, 80, &m_settings);
    XTPShadowsManager()->SetShadow(pBar);
    std::vector<CXTPShadowsManager::CShadowWnd*> shadows = ShadowsOf(pBar);
    ASSERT_EQ(2u, shadows.size());
    HWND hShadow = shadows[0]->GetSafeHwnd();

    ::ShowWindow(pBar->m_hWnd, SW_HIDE);
    EXPECT_FALSE(::IsWindowVisible(hShadow));
    ::ShowWindow(pBar->m_hWnd, SW_SHOWNA);
    EXPECT_TRUE(::IsWindowVisible(hShadow));

    // The window is hidden and kept for the next shadow, no longer owned.
    testsupport::DestroyQuietly(pBar->m_hWnd);
    EXPECT_EQ(0, XTPShadowsManager()->GetShadowCount());
    EXPECT_FALSE(::IsWindowVisible(hShadow));
    EXPECT_EQ(2, XTPShadowsManager()->GetParkedCount());
    EXPECT_EQ(NULL, shadows[0]->GetOwnerBar());
    XTPShadowsManager()->DestroyParked();
    EXPECT_FALSE(::IsWindow(hShadow));
    delete pBar;
}

TEST_F(ShadowTest, KeptWindowsDestroyedMeanwhileLeaveTheirPlacesToLiveOnes)
{
    CXTPShadowsManager::EnableAlphaShadow(FALSE);
    XTPShadowsManager()->DestroyParked();
    {
        PopupBar bar(200, 200, 100, 80, &m_settings);
        XTPShadowsManager()->SetShadow(&bar);
        XTPShadowsManager()->RemoveShadow(&bar);
    }
    ASSERT_EQ(2, XTPShadowsManager()->GetParkedCount());
    // Both kept windows go, as with the window that owned them.
    for (HWND hWnd : ShadowWindows())
        ::DestroyWindow(hWnd);

    // Four popups closed together give eight windows, all kept.
    {
        std::vector<std::unique_ptr<PopupBar>> bars;
        for (int i = 0; i < 4; i++)
        {
            bars.emplace_back(new PopupBar(100 + 130 * i, 200, 100, 80, &m_settings));
            XTPShadowsManager()->SetShadow(bars.back().get());
        }
        for (auto& pBar : bars)
            XTPShadowsManager()->RemoveShadow(pBar.get());
    }
    EXPECT_EQ(8, XTPShadowsManager()->GetParkedCount());
    EXPECT_EQ(8u, ShadowWindows().size());
    XTPShadowsManager()->DestroyParked();
}

TEST_F(ShadowTest, AShadowIsClippedWhereAnotherShadowedPopupLiesOverIt)
{
    CXTPShadowsManager::EnableAlphaShadow(FALSE);
    PopupBar lower(200, 200, 100, 80, &m_settings);
    XTPShadowsManager()->SetShadow(&lower);
    // The upper popup's bottom shadow (152..252 x 230..232) runs into the
    // lower popup's window (200..300 x 200..280) from x 200 on.
    PopupBar upper(150, 150, 100, 80, &m_settings);
    XTPShadowsManager()->SetShadow(&upper);

    std::vector<CXTPShadowsManager::CShadowWnd*> shadows = ShadowsOf(&upper);
    ASSERT_EQ(2u, shadows.size());
    CRect rcBottom = WindowRect(shadows[0]);
    EXPECT_EQ(CRect(152, 230, 252, 232), rcBottom);
    HRGN hRgn = ::CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(ERROR, ::GetWindowRgn(shadows[0]->GetSafeHwnd(), hRgn));
    EXPECT_TRUE(::PtInRegion(hRgn, 160 - rcBottom.left, 0));
    EXPECT_FALSE(::PtInRegion(hRgn, 220 - rcBottom.left, 0));
    ::DeleteObject(hRgn);

    // The lower popup's shadows lie under nothing and keep their whole window.
    std::vector<CXTPShadowsManager::CShadowWnd*> lowerShadows = ShadowsOf(&lower);
    ASSERT_EQ(2u, lowerShadows.size());
    HRGN hLower = ::CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(ERROR, ::GetWindowRgn(lowerShadows[0]->GetSafeHwnd(), hLower));
    ::DeleteObject(hLower);
}

TEST_F(ShadowTest, ShadowOfAPopupButtonIsClippedByTheExcludedRectangle)
{
    CXTPShadowsManager::EnableAlphaShadow(FALSE);
    m_settings.SetShadowOptions(xtpShadowOfficeAlpha | xtpShadowShowPopupControl);
    PopupBar popup(200, 200, 100, 80, &m_settings);
    // The button that opened the popup sits over the start of its bottom shadow.
    XTPShadowsManager()->SetShadow(&popup, CRect(190, 275, 240, 300));
    std::vector<CXTPShadowsManager::CShadowWnd*> shadows = ShadowsOf(&popup);
    ASSERT_EQ(2u, shadows.size());
    CRect rcBottom = WindowRect(shadows[0]);
    HRGN hRgn = ::CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(ERROR, ::GetWindowRgn(shadows[0]->GetSafeHwnd(), hRgn));
    EXPECT_FALSE(::PtInRegion(hRgn, 220 - rcBottom.left, 0));
    EXPECT_TRUE(::PtInRegion(hRgn, 260 - rcBottom.left, 0));
    ::DeleteObject(hRgn);
}

TEST_F(ShadowTest, ASubmenuShadowStartingAtItsParentsShadowContinuesIt)
{
    CXTPShadowsManager::EnableAlphaShadow(FALSE);
    PopupBar menu(200, 200, 100, 80, &m_settings);
    XTPShadowsManager()->SetShadow(&menu);
    // The menu's right shadow runs (300, 202) to (302, 280). A popup whose
    // bottom shadow would start at x 301 inside that run continues it.
    PopupBar submenu(299, 210, 60, 40, &m_settings);
    XTPShadowsManager()->SetShadow(&submenu);
    std::vector<CXTPShadowsManager::CShadowWnd*> shadows = ShadowsOf(&submenu);
    ASSERT_EQ(2u, shadows.size());
    // Bottom shadow: (301, 250)-(361, 252); its left moves by 2 x 2 + 1.
    EXPECT_EQ(CRect(296, 250, 361, 252), WindowRect(shadows[0]));
}

TEST_F(ShadowTest, ControlShadowsNeedBothOptionBits)
{
    CXTPShadowsManager::EnableAlphaShadow(FALSE);
    PopupBar bar(200, 200, 300, 40, &m_settings);
    XTPShadowsManager()->SetControlShadow(&bar, CRect(10, 5, 60, 30));
    EXPECT_EQ(0, XTPShadowsManager()->GetShadowCount());

    m_settings.SetShadowOptions(xtpShadowOfficeAlpha | xtpShadowShowPopupControl);
    XTPShadowsManager()->SetControlShadow(&bar, CRect(10, 5, 60, 30));
    std::vector<CXTPShadowsManager::CShadowWnd*> shadows = ShadowsOf(&bar);
    ASSERT_EQ(2u, shadows.size());
    EXPECT_EQ(CRect(212, 230, 262, 232), WindowRect(shadows[0]));
    EXPECT_EQ(CRect(260, 207, 262, 230), WindowRect(shadows[1]));
    XTPShadowsManager()->RemoveShadow(&bar);
}

TEST(ShadowPictureTest, RightShadowFadesAwayFromThePopupAndAtItsTop)
{
    const int cx = 4, cy = 10;
    std::vector<DWORD> pixels(cx * cy);
    CXTPShadowsManager::BuildShadowPicture(FALSE, cx, cy, RGB(0, 0, 0), 0, pixels.data());
    auto alpha = [&](int x, int y) { return (int)(pixels[y * cx + x] >> 24); };
    // Body: column x has alpha 15 x 2 x (4 - x).
    EXPECT_EQ(120, alpha(0, 6));
    EXPECT_EQ(30, alpha(3, 6));
    // Top corner: column 4 - i, row j - 1 has alpha 3 x 2 x i x j.
    EXPECT_EQ(3 * 2 * 4 * 4, alpha(0, 3));
    EXPECT_EQ(3 * 2 * 1 * 1, alpha(3, 0));

    CXTPShadowsManager::BuildShadowPicture(FALSE, cx, cy, RGB(0, 0, 0), xtpShadowOfficeAlpha, pixels.data());
    EXPECT_EQ(60, alpha(0, 6)) << "option bit 0 takes the lighter ramp";
}

TEST(ShadowPictureTest, BottomShadowHasTwoFadedCornersAndTheColourScaled)
{
    const int cx = 12, cy = 4;
    std::vector<DWORD> pixels(cx * cy);
    CXTPShadowsManager::BuildShadowPicture(TRUE, cx, cy, RGB(200, 100, 40), 0, pixels.data());
    auto alpha = [&](int x, int y) { return (int)(pixels[y * cx + x] >> 24); };
    auto red = [&](int x, int y) { return (int)((pixels[y * cx + x] >> 16) & 0xFF); };
    auto blue = [&](int x, int y) { return (int)(pixels[y * cx + x] & 0xFF); };
    // Body rows: alpha 15 x 2 x (4 - y), colour scaled by (4 - y) / 4.
    EXPECT_EQ(120, alpha(6, 0));
    EXPECT_EQ(30, alpha(6, 3));
    EXPECT_EQ(200, red(6, 0));
    EXPECT_EQ(50, red(6, 3));
    EXPECT_EQ(10, blue(6, 3));
    // Left corner: column i - 1, row 4 - j.
    EXPECT_EQ(3 * 2 * 4 * 4, alpha(3, 0));
    EXPECT_EQ(3 * 2 * 1 * 1, alpha(0, 3));
    // Right corner: column cx - i, row 4 - j.
    EXPECT_EQ(3 * 2 * 4 * 4, alpha(cx - 4, 0));
    EXPECT_EQ(3 * 2 * 1 * 1, alpha(cx - 1, 3));
    // f = i j / 20 for the colour: (4 x 4) / 20 of 200 is 160.
    EXPECT_EQ(160, red(3, 0));
}

TEST(ShadowPictureTest, ShortBottomShadowHasNoBody)
{
    const int cx = 8, cy = 4;
    std::vector<DWORD> pixels(cx * cy, 0xFFFFFFFF);
    CXTPShadowsManager::BuildShadowPicture(TRUE, cx, cy, RGB(0, 0, 0), 0, pixels.data());
    // Only the two corners: their weakest pixels meet in the middle.
    EXPECT_EQ(3 * 2 * 4 * 1, (int)(pixels[3 * cx + 3] >> 24));
    EXPECT_EQ(3 * 2 * 4 * 1, (int)(pixels[3 * cx + 4] >> 24));
}

TEST(ShadowExit, TheProgramEndsCleanlyWithAShadowShown)
{
    // Run as a child process: a popup with its shadows is still open when
    // the program exits, so the global managers tear down around it.
    if (::GetEnvironmentVariableA("BM_SHADOW_EXIT_CHILD", NULL, 0) != 0)
    {
        static ShadowSettings settings;
        settings.EnableShadow(TRUE);
        settings.SetShadowOptions(xtpShadowOfficeAlpha);
        PopupBar* pBar = new PopupBar(200, 200, 100, 80, &settings);   // alive at exit
        XTPShadowsManager()->SetShadow(pBar);
        testsupport::Pump(0);
        fflush(stdout);
        exit(XTPShadowsManager()->GetShadowCount() == 2 ? 0 : 3);
    }

    char szSelf[MAX_PATH];
    ::GetModuleFileNameA(NULL, szSelf, MAX_PATH);
    std::string strCommand = std::string("\"") + szSelf + "\" --gtest_filter=ShadowExit.*";
    ::SetEnvironmentVariableA("BM_SHADOW_EXIT_CHILD", "1");
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    BOOL bStarted = ::CreateProcessA(NULL, &strCommand[0], NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi);
    ::SetEnvironmentVariableA("BM_SHADOW_EXIT_CHILD", NULL);
    ASSERT_TRUE(bStarted);
    EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(pi.hProcess, 30000));
    DWORD dwExit = 1;
    ::GetExitCodeProcess(pi.hProcess, &dwExit);
    EXPECT_EQ(0u, dwExit) << "the child ended with 0x" << std::hex << dwExit;
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
}
