// The Whidbey theme: no Office 2003 colour sets, its own colours by the
// Windows colour scheme, single-line separators within a row, and its look.
#include <gtest/gtest.h>

#include "XTPWhidbeyTheme.h"
#include "support/canvas.h"
#include "support/themescene.h"

using XTPPaintThemes::CXTPWhidbeyTheme;
using testsupport::Canvas;

namespace
{
class WhidbeyTest : public testsupport::InstalledThemeTest<CXTPWhidbeyTheme>
{
protected:
    void TearDown() override
    {
        GetColorManager()->SetLunaTheme(xtpSystemThemeDefault);
        InstalledThemeTest::TearDown();
    }

    // The colour manager's scheme (Wine reports none; the test chooses one).
    void UseScheme(int nScheme)
    {
        GetColorManager()->SetLunaTheme(nScheme);
        m_pTheme->RefreshMetrics();
    }
};
} // namespace

TEST_F(WhidbeyTest, NeverAppliesTheOffice2003Sets)
{
    CXTPWhidbeyTheme theme;
    EXPECT_EQ(0, theme.m_nLunaTheme);
    EXPECT_TRUE(theme.m_bPlainSeparators);
    EXPECT_EQ(xtpThemeWhidbey, theme.BaseTheme());

    UseScheme(xtpSystemThemeBlue);
    EXPECT_FALSE(m_pTheme->m_bLunaTheme);
}

TEST_F(WhidbeyTest, ColoursFollowTheWindowsScheme)
{
    UseScheme(xtpSystemThemeUnknown);
    COLORREF clrLight = CXTPColorManager::MixColors(m_pTheme->GetColor(5), m_pTheme->GetColor(15), 550);
    EXPECT_EQ(clrLight, m_pTheme->m_clrToolbarExpand.clrLight.GetColor());
    EXPECT_EQ(m_pTheme->GetColor(16), m_pTheme->m_clrToolbarExpand.clrDark.GetColor());

    UseScheme(xtpSystemThemeBlue);
    EXPECT_EQ(RGB(250, 249, 245), m_pTheme->m_clrCommandBar.clrLight.GetColor());
    EXPECT_EQ(RGB(192, 192, 168), m_pTheme->m_clrCommandBar.clrDark.GetColor());
    EXPECT_FLOAT_EQ(0.75f, m_pTheme->m_clrCommandBar.fGradientFactor);
    EXPECT_EQ(RGB(152, 152, 126), m_pTheme->m_clrToolbarExpand.clrDark.GetColor());
    EXPECT_EQ(RGB(192, 192, 168), m_pTheme->m_clrMenuGlyph.clrDark.GetColor()) << "the glyph takes the bar's colours";
    EXPECT_EQ(RGB(163, 163, 124), m_pTheme->m_clrToolbarShadow.GetColor());

    UseScheme(xtpSystemThemeOlive);
    EXPECT_EQ(RGB(182, 198, 141), m_pTheme->GetColor(31));
    EXPECT_EQ(RGB(255, 255, 255), m_pTheme->GetColor(47));

    UseScheme(xtpSystemThemeSilver);
    for (int nIndex : { 32, 37, 50 })
        EXPECT_EQ(RGB(75, 75, 111), m_pTheme->GetColor(nIndex)) << nIndex;
    EXPECT_EQ(RGB(122, 121, 153), m_pTheme->GetColor(61));
    EXPECT_EQ(RGB(122, 121, 153), m_pTheme->m_clrFloatingGripper.GetColor());
    EXPECT_EQ(RGB(219, 218, 228), m_pTheme->GetColor(30));
}

TEST_F(WhidbeyTest, SeparatorsWithinARowAreSingleLines)
{
    UseScheme(xtpSystemThemeUnknown);
    CXTPToolBar* pBar = new CXTPToolBar();
    pBar->m_barPosition = xtpBarTop;
    CXTPControl* pControl = pBar->GetControls()->Add(xtpControlButton, 1);
    pControl->SetRect(CRect(20, 2, 43, 24));
    pControl->SetRowRect(CRect(0, 2, 100, 24));
    Canvas canvas(60, 30, RGB(9, 9, 9));
    m_pTheme->DrawCommandBarSeparator(canvas.DC(), pBar, pControl, TRUE);
    EXPECT_EQ(m_pTheme->GetColor(39), canvas.Pixel(16, 10));
    EXPECT_EQ(RGB(9, 9, 9), canvas.Pixel(17, 10)) << "no light line";

    // A separator at a wrapped row keeps its light line.
    pControl->SetWrap(TRUE);
    pControl->SetRowRect(CRect(0, 10, 60, 30));
    m_pTheme->DrawCommandBarSeparator(canvas.DC(), pBar, pControl, TRUE);
    EXPECT_EQ(m_pTheme->GetColor(39), canvas.Pixel(30, 6));
    EXPECT_EQ(m_pTheme->GetColor(20), canvas.Pixel(30, 7));
    pBar->InternalRelease();
}

TEST_F(WhidbeyTest, DrawsEveryControlWithoutLeakingGdiObjects)
{
    UseScheme(xtpSystemThemeBlue);
    std::pair<DWORD, DWORD> highWater = testsupport::GdiHighWaterAroundThousandDraws();
    EXPECT_EQ(highWater.first, highWater.second);
}

TEST_F(WhidbeyTest, LooksLikeABarSet)
{
    UseScheme(xtpSystemThemeUnknown);
    EXPECT_TRUE(testsupport::SaveSceneSnapshot("whidbey_classic"));
    UseScheme(xtpSystemThemeBlue);
    EXPECT_TRUE(testsupport::SaveSceneSnapshot("whidbey_blue"));
}
