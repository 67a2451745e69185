// The Office 2003 theme: its colour sets, gradients, borders, dock fills,
// expand buttons, status bar and its look.
#include <gtest/gtest.h>
#include <stdlib.h>

#include "XTPOffice2003Theme.h"
#include "support/canvas.h"
#include "support/fakevisualstyles.h"
#include "support/themescene.h"

using XTPPaintThemes::CXTPOffice2003Theme;
using testsupport::Canvas;

namespace
{
// An Office 2003 theme installed for a test, in a colour scheme of its choice.
class Office2003Test : public testsupport::InstalledThemeTest<CXTPOffice2003Theme>
{
protected:
    void UseScheme(int nScheme)
    {
        m_pTheme->SetLunaTheme(nScheme);
        m_pTheme->RefreshMetrics();
    }
};

// Whether two colours differ by at most nTolerance in each channel.
bool Near(COLORREF a, COLORREF b, int nTolerance = 12)
{
    return abs(GetRValue(a) - GetRValue(b)) <= nTolerance && abs(GetGValue(a) - GetGValue(b)) <= nTolerance &&
           abs(GetBValue(a) - GetBValue(b)) <= nTolerance;
}

// A window of the given class-less kind, for bars and dock bars that only
// need a client rectangle and a style.
template <class T>
T* MakeWindow(T* pWnd, CRect rc, DWORD dwStyle = WS_POPUP)
{
    pWnd->CreateEx(WS_EX_TOOLWINDOW, AfxRegisterWndClass(0), _T(""), dwStyle, rc, NULL, 0);
    return pWnd;
}
} // namespace

TEST_F(Office2003Test, BlueSchemeSetsItsColoursAndItsLunaLook)
{
    UseScheme(xtpSystemThemeBlue);
    EXPECT_TRUE(m_pTheme->m_bLunaTheme);
    EXPECT_EQ(RGB(196, 219, 249), m_pTheme->GetColor(30));
    EXPECT_EQ(RGB(255, 238, 194), m_pTheme->GetColor(31));
    EXPECT_EQ(RGB(0, 0, 128), m_pTheme->GetColor(37));
    EXPECT_EQ(RGB(0, 0, 128), m_pTheme->GetColor(50));
    EXPECT_EQ(RGB(59, 97, 156), m_pTheme->m_clrToolbarShadow.GetColor());
    for (int nIndex : { 35, 58, 60 })
        EXPECT_EQ(RGB(141, 141, 141), m_pTheme->GetColor(nIndex)) << nIndex;
    EXPECT_EQ(RGB(42, 102, 201), m_pTheme->GetColor(61)) << "the floating border takes the shadow colour";
    EXPECT_EQ(RGB(22, 30, 54), m_pTheme->GetShadowColor());
    EXPECT_EQ(RGB(144, 153, 174), m_pTheme->GetColor(COLOR_APPWORKSPACE));

    UseScheme(xtpSystemThemeUnknown);
    EXPECT_FALSE(m_pTheme->m_bLunaTheme);
    EXPECT_EQ(0u, m_pTheme->GetShadowColor());
}

TEST_F(Office2003Test, OliveAndSilverSchemesAndTheSilverHilite)
{
    UseScheme(xtpSystemThemeOlive);
    EXPECT_EQ(RGB(209, 222, 173), m_pTheme->GetColor(30));
    EXPECT_EQ(RGB(63, 93, 56), m_pTheme->GetColor(32));
    EXPECT_EQ(RGB(96, 128, 88), m_pTheme->m_clrToolbarShadow.GetColor());

    UseScheme(xtpSystemThemeSilver);
    for (int nIndex : { 32, 37, 50 })
        EXPECT_EQ(RGB(75, 75, 111), m_pTheme->GetColor(nIndex)) << nIndex;
    EXPECT_EQ(RGB(253, 250, 255), m_pTheme->GetColor(41));
    EXPECT_EQ(RGB(236, 234, 218), m_pTheme->m_clrStatusPane.GetColor());
}

TEST_F(Office2003Test, CustomColoursSurviveARefreshAndLargeIndexesAreColours)
{
    m_pTheme->GetColorEntry(COLOR_3DFACE).SetCustomValue(RGB(1, 2, 3));
    m_pTheme->GetColorEntry(30).SetCustomValue(RGB(4, 5, 6));
    UseScheme(xtpSystemThemeBlue);
    EXPECT_EQ(RGB(1, 2, 3), m_pTheme->GetColor(COLOR_3DFACE));
    EXPECT_EQ(RGB(4, 5, 6), m_pTheme->GetColor(30)) << "the scheme writes standard values only";
    EXPECT_EQ(63u, m_pTheme->GetColor(63));
}

TEST_F(Office2003Test, LunaControlStatesUseTheOrangeGradients)
{
    UseScheme(xtpSystemThemeBlue);
    for (int nBits : { 24, 32 })
    {
        Canvas canvas(30, 30, RGB(9, 9, 9), nBits);
        CRect rc(0, 0, 30, 30);
        // Checked and hot: the pressed gradient (light (254, 142, 75) at the top), frame 50.
        m_pTheme->DrawRectangle(canvas.DC(), rc, TRUE, FALSE, TRUE, TRUE, FALSE, xtpBarTypeNormal, xtpBarTop);
        EXPECT_EQ(m_pTheme->GetColor(50), canvas.Pixel(0, 0));
        EXPECT_TRUE(Near(RGB(254, 142, 75), canvas.Pixel(15, 1)));
        // Hot: the hot gradient, frame 32.
        m_pTheme->DrawRectangle(canvas.DC(), rc, TRUE, FALSE, TRUE, FALSE, FALSE, xtpBarTypeNormal, xtpBarTop);
        EXPECT_EQ(m_pTheme->GetColor(32), canvas.Pixel(0, 0));
        EXPECT_TRUE(Near(RGB(255, 242, 200), canvas.Pixel(15, 1)));
        // Indeterminate, not hot: fill 51, frame 50.
        m_pTheme->DrawRectangle(canvas.DC(), rc, FALSE, FALSE, TRUE, 2, FALSE, xtpBarTypeNormal, xtpBarTop);
        EXPECT_EQ(RGB(216, 231, 252), canvas.Pixel(15, 15));
        // On a popup bar the flat Office look stays.
        m_pTheme->DrawRectangle(canvas.DC(), rc, TRUE, FALSE, TRUE, FALSE, FALSE, xtpBarTypePopup, xtpBarPopup);
        EXPECT_EQ(m_pTheme->GetColor(31), canvas.Pixel(15, 15));
    }
}

TEST_F(Office2003Test, BordersAndExpandButtons)
{
    UseScheme(xtpSystemThemeBlue);
    CXTPToolBar* pBar = new CXTPToolBar();
    pBar->m_barPosition = xtpBarTop;
    EXPECT_EQ(CRect(4, 2, 2, 2), m_pTheme->GetCommandBarBorders(pBar));

    CXTPControl* pButton = pBar->GetControls()->Add(xtpControlButton, 1);
    CSize szBar(200, 26);
    EXPECT_EQ(CSize(0, 0), m_pTheme->DrawExpandOrHideButton(NULL, 0, pButton, pBar, FALSE, &szBar));
    EXPECT_EQ(CRect(188, 1, 200, 26), pButton->GetRect());
    pBar->m_barPosition = xtpBarLeft;
    EXPECT_EQ(CRect(2, 2, 2, 2), m_pTheme->GetCommandBarBorders(pBar));
    szBar = CSize(26, 200);
    m_pTheme->DrawExpandOrHideButton(NULL, 0, pButton, pBar, FALSE, &szBar);
    EXPECT_EQ(CRect(0, 188, 26, 200), pButton->GetRect());
    EXPECT_EQ(CSize(0, 18), m_pTheme->DrawExpandOrHideButton(NULL, 1, pButton, pBar, FALSE, NULL));

    // Drawn, the expand button's corner pixels stay as they were.
    pBar->m_barPosition = xtpBarTop;
    pButton->SetRect(CRect(10, 0, 22, 26));
    Canvas canvas(40, 30, RGB(9, 9, 9));
    int nHidden = 1;
    m_pTheme->DrawExpandOrHideButton(canvas.DC(), 0, pButton, pBar, TRUE, &nHidden);
    EXPECT_EQ(RGB(9, 9, 9), canvas.Pixel(21, 0));
    EXPECT_EQ(RGB(9, 9, 9), canvas.Pixel(10, 10));
    EXPECT_NE(RGB(9, 9, 9), canvas.Pixel(15, 1));

    // The caller's clip region is what it was before.
    canvas.DC()->IntersectClipRect(0, 0, 30, 30);
    m_pTheme->DrawExpandOrHideButton(canvas.DC(), 0, pButton, pBar, TRUE, &nHidden);
    canvas.DC()->FillSolidRect(0, 0, 40, 30, RGB(200, 0, 0));
    EXPECT_EQ(RGB(200, 0, 0), canvas.Pixel(10, 10));
    EXPECT_NE(RGB(200, 0, 0), canvas.Pixel(35, 10));
    canvas.DC()->SelectClipRgn(NULL);
    pBar->InternalRelease();
}

TEST_F(Office2003Test, StatusBarPaneFramesAndGrippersThemedAndClassic)
{
    Canvas canvas(60, 30, RGB(9, 9, 9));
    {
        testsupport::FakeVisualStyles classic(false);
        UseScheme(xtpSystemThemeUnknown);
        m_pTheme->DrawStatusBarPaneBorder(canvas.DC(), CRect(5, 5, 40, 25), FALSE);
        COLORREF clrFrame = CXTPColorManager::MixColors(m_pTheme->GetColor(15), m_pTheme->GetColor(5), 70);
        EXPECT_EQ(clrFrame, canvas.Pixel(5, 5));
        EXPECT_EQ(clrFrame, canvas.Pixel(39, 24));
        EXPECT_EQ(RGB(9, 9, 9), canvas.Pixel(6, 6));

        // Classic gripper: diagonal lines in the shadow colour in the corner.
        m_pTheme->DrawStatusBarGripper(canvas.DC(), CRect(0, 0, 60, 30));
        EXPECT_EQ(m_pTheme->GetColor(COLOR_3DSHADOW), canvas.Pixel(59, 29));
    }

    // Themed: the visual style's gripper part at the right edge.
    testsupport::FakeVisualStyles styles;
    UseScheme(xtpSystemThemeUnknown);
    ASSERT_TRUE(m_pTheme->m_themeStatusBar.IsValid()) << "Office 2003 opens the status style itself";
    testsupport::FakeVisualStyles::Drawn().clear();
    m_pTheme->DrawStatusBarGripper(canvas.DC(), CRect(0, 0, 60, 30));
    ASSERT_EQ(1u, testsupport::FakeVisualStyles::Drawn().size());
    EXPECT_EQ(3, testsupport::FakeVisualStyles::Drawn()[0].nPart);
    EXPECT_EQ(CRect(42, 0, 60, 30), CRect(testsupport::FakeVisualStyles::Drawn()[0].rc));
    m_pTheme->m_themeStatusBar.CloseThemeData();
}

TEST_F(Office2003Test, DockBarsShadeAcrossHalfTheScreenAndTheRightOneIsFlat)
{
    UseScheme(xtpSystemThemeBlue);
    COLORREF clrDark = m_pTheme->m_clrDockBar.clrDark.GetColor();
    COLORREF clrLight = m_pTheme->m_clrDockBar.clrLight.GetColor();

    CXTPDockBar right;
    MakeWindow(&right, CRect(0, 0, 30, 100), WS_POPUP | 0x4000);
    Canvas canvas(100, 100, RGB(9, 9, 9));
    m_pTheme->FillDockBar(canvas.DC(), &right);
    EXPECT_EQ(clrDark, canvas.Pixel(0, 0));
    EXPECT_EQ(clrDark, canvas.Pixel(29, 99));

    CXTPDockBar top;
    MakeWindow(&top, CRect(0, 0, 100, 20));
    m_pTheme->FillDockBar(canvas.DC(), &top);
    EXPECT_EQ(clrLight, canvas.Pixel(0, 5));
    COLORREF clrEnd = canvas.Pixel(99, 5);
    EXPECT_NE(clrDark, clrEnd) << "a short dock bar never reaches the dark colour";
    EXPECT_LT(GetRValue(clrEnd), GetRValue(clrDark));
    EXPECT_GE(GetRValue(clrEnd), GetRValue(clrLight));
    right.DestroyWindow();
    top.DestroyWindow();
}

TEST_F(Office2003Test, FloatingToolBarFrameRoundsAllFourCorners)
{
    UseScheme(xtpSystemThemeBlue);
    CXTPToolBar* pBar = new CXTPToolBar();
    pBar->m_barPosition = xtpBarFloating;
    MakeWindow(pBar, CRect(0, 0, 80, 60));
    Canvas canvas(80, 60, RGB(9, 9, 9));
    m_pTheme->FillCommandBar(canvas.DC(), pBar);
    COLORREF clrBorder = m_pTheme->GetColor(61);
    EXPECT_EQ(clrBorder, canvas.Pixel(0, 0));
    EXPECT_EQ(clrBorder, canvas.Pixel(1, 1));
    // One pixel inside each corner, the right side like the left.
    EXPECT_EQ(clrBorder, canvas.Pixel(2, 2));
    EXPECT_EQ(clrBorder, canvas.Pixel(77, 2));
    EXPECT_EQ(clrBorder, canvas.Pixel(2, 57));
    EXPECT_EQ(clrBorder, canvas.Pixel(77, 57));
    EXPECT_NE(clrBorder, canvas.Pixel(3, 30));
    pBar->DestroyWindow();
    pBar->InternalRelease();
}

TEST_F(Office2003Test, DrawsEveryControlWithoutLeakingGdiObjects)
{
    UseScheme(xtpSystemThemeBlue);
    std::pair<DWORD, DWORD> highWater = testsupport::GdiHighWaterAroundThousandDraws();
    EXPECT_EQ(highWater.first, highWater.second);
}

TEST_F(Office2003Test, LooksLikeABarSetInEveryColourScheme)
{
    static const char* names[] = { "office2003_classic", "office2003_blue", "office2003_olive", "office2003_silver" };
    for (int nScheme : { 0, 1, 2, 3 })
    {
        UseScheme(nScheme);
        EXPECT_TRUE(testsupport::SaveSceneSnapshot(names[nScheme]));
    }
    UseScheme(xtpSystemThemeBlue);
    EXPECT_TRUE(testsupport::SaveSceneSnapshot("office2003_blue_32bpp", 32));
}
