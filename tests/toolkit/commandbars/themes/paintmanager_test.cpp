// The paint manager's data model: theme factory and global instance,
// reference counting, colour table, fonts and metrics, and the shapes.
#include <gtest/gtest.h>

#include <typeinfo>

#include "XTPDefaultTheme.h"
#include "XTPNativeXPTheme.h"
#include "XTPOffice2003Theme.h"
#include "XTPOffice2007Theme.h"
#include "XTPOfficeTheme.h"
#include "XTPWhidbeyTheme.h"
#include "XTPPaintManager.h"
#include "support/testwindows.h"

namespace
{
int g_nDestroyed = 0;

class CountedTheme : public XTPPaintThemes::CXTPDefaultTheme
{
public:
    ~CountedTheme() override { g_nDestroyed++; }
};

LOGFONTA MenuFont()
{
    NONCLIENTMETRICSA ncm = {};
    ncm.cbSize = 340;
    ::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, 340, &ncm, 0);
    return ncm.lfMenuFont;
}
} // namespace

TEST(PaintManagerTest, GlobalInstanceIsTheDefaultThemeMadeOnFirstUse)
{
    CXTPPaintManager* pManager = XTPPaintManager();
    ASSERT_NE(nullptr, pManager);
    EXPECT_EQ(pManager, XTPPaintManager());
    EXPECT_EQ(0, pManager->BaseTheme());
    EXPECT_EQ(xtpThemeDefault, pManager->GetCurrentTheme());
    EXPECT_NE((HFONT)NULL, (HFONT)pManager->GetRegularFont()->GetSafeHandle()) << "installed means refreshed";
}

TEST(PaintManagerTest, SetThemeRecordsTheRequestedIdAndUnknownIdsGetTheDefaultTheme)
{
    CXTPPaintManager::SetTheme(9);
    EXPECT_EQ(9, XTPPaintManager()->GetCurrentTheme());
    EXPECT_EQ(0, XTPPaintManager()->BaseTheme());
    CXTPPaintManager::SetTheme(xtpThemeDefault);
    EXPECT_EQ(xtpThemeDefault, XTPPaintManager()->GetCurrentTheme());
}

TEST(PaintManagerTest, CustomThemeReplacesAndReleasesTheOldOne)
{
    g_nDestroyed = 0;
    CountedTheme* pFirst = new CountedTheme();
    CXTPPaintManager::SetCustomTheme(pFirst);
    EXPECT_EQ(pFirst, XTPPaintManager());
    EXPECT_EQ(xtpThemeCustom, pFirst->GetCurrentTheme());
    EXPECT_NE((HFONT)NULL, (HFONT)pFirst->GetRegularFont()->GetSafeHandle());

    // A bar holding its own reference keeps the theme alive.
    pFirst->InternalAddRef();
    CXTPPaintManager::SetCustomTheme(new CountedTheme());
    EXPECT_EQ(0, g_nDestroyed);
    pFirst->InternalRelease();
    EXPECT_EQ(1, g_nDestroyed);

    CXTPPaintManager* pSecond = XTPPaintManager();
    CXTPPaintManager::SetCustomTheme(pSecond);   // installing the same object again keeps it
    EXPECT_EQ(1, g_nDestroyed);
    EXPECT_EQ(pSecond, XTPPaintManager());

    CXTPPaintManager::SetTheme(xtpThemeDefault);
    EXPECT_EQ(2, g_nDestroyed);
}

TEST(PaintManagerTest, ColourTableLookups)
{
    XTPPaintThemes::CXTPDefaultTheme theme;
    theme.RefreshMetrics();
    EXPECT_EQ(::GetSysColor(COLOR_3DFACE), theme.GetColor(COLOR_3DFACE));
    EXPECT_EQ(GetXTPSysColor(40), theme.GetColor(40));
    EXPECT_EQ(63u, theme.GetColor(63)) << "past the table a value is an RGB colour";
    EXPECT_EQ(RGB(1, 2, 3), theme.GetColor(RGB(1, 2, 3)));

    theme.GetColorEntry(COLOR_3DFACE).SetCustomValue(RGB(9, 9, 9));
    EXPECT_EQ(RGB(9, 9, 9), theme.GetColor(COLOR_3DFACE));
    const int indexes[] = { COLOR_3DFACE, 45 };
    const COLORREF colors[] = { RGB(1, 1, 1), RGB(2, 2, 2) };
    theme.SetColors(2, indexes, colors);
    EXPECT_EQ(RGB(9, 9, 9), theme.GetColor(COLOR_3DFACE)) << "themes write standard values; custom wins";
    EXPECT_EQ(RGB(2, 2, 2), theme.GetColor(45));
    theme.GetColorEntry(COLOR_3DFACE).SetDefaultValue();
    EXPECT_EQ(RGB(1, 1, 1), theme.GetColor(COLOR_3DFACE));
}

TEST(PaintManagerTest, RefreshSetsTheDerivedColours)
{
    // The Office theme keeps the paint manager's own refresh.
    XTPPaintThemes::CXTPOfficeTheme theme;
    theme.m_clrSpare = RGB(5, 5, 5);
    theme.RefreshMetrics();
    EXPECT_EQ(0u, theme.m_clrSpare);
    EXPECT_EQ(GetXTPSysColor(COLOR_BTNTEXT), theme.m_clrStatusTextColor);
    EXPECT_EQ(GetXTPSysColor(COLOR_3DSHADOW), theme.m_clrFloatingGripper.GetColor());
    EXPECT_EQ(GetXTPSysColor(COLOR_3DHIGHLIGHT), theme.m_clrFloatingGripperText.GetColor());
    EXPECT_EQ(GetXTPSysColor(COLOR_3DFACE), theme.m_clrDisabledIcon.clrLight.GetColor());
    EXPECT_EQ(GetXTPSysColor(COLOR_3DSHADOW), theme.m_clrDisabledIcon.clrDark.GetColor());
    EXPECT_FALSE(theme.m_themeStatusBar.IsValid());
}

TEST(PaintManagerTest, DefaultsOfTheDataModel)
{
    XTPPaintThemes::CXTPDefaultTheme theme;
    EXPECT_EQ(4, theme.m_nPopupBarTextPadding);
    EXPECT_EQ(11, theme.m_nSplitButtonDropDownWidth);
    EXPECT_EQ(20, theme.m_nSplitButtonPopupWidth);
    EXPECT_EQ(10, theme.m_nAnimationSteps);
    EXPECT_EQ(100, theme.m_nAnimationTime);
    EXPECT_EQ(-1, theme.m_bShowKeyboardCues);
    EXPECT_EQ(5, theme.m_nLunaTheme);
    EXPECT_STREQ("Tahoma", theme.m_strOfficeFont);
    EXPECT_TRUE(theme.m_bUseStandardFont);
    EXPECT_TRUE(theme.m_bEmbossedDisabledText);
    EXPECT_TRUE(theme.m_bShowLabelIconColumn);
    EXPECT_EQ(18, theme.m_nMenuTextColor);
    XTP_COMMANDBARS_ICONSINFO* pIcons = theme.GetIconsInfo();
    EXPECT_FALSE(pIcons->bUseFadedIcons);
    EXPECT_FALSE(pIcons->bIconsWithShadow);
    EXPECT_FALSE(theme.IsShadowEnabled());
    EXPECT_EQ(CRect(2, 2, 2, 2), theme.GetCommandBarBorders(NULL));
    EXPECT_EQ(0, theme.GetCurrentSystemTheme()) << "no visual style here";
    theme.SetLunaTheme(2);
    EXPECT_EQ(2, theme.GetCurrentSystemTheme());
}

TEST(PaintManagerTest, MenuFontHeightRuleAndTheFourFontsOfTheCommandBars)
{
    XTPPaintThemes::CXTPDefaultTheme theme;
    theme.RefreshMetrics();
    LOGFONTA lfMenu = MenuFont();
    LONG nExpected = lfMenu.lfHeight;
    if (nExpected < 0 && nExpected >= -10)
        nExpected = -11;

    LOGFONTA lf;
    theme.GetRegularFont()->GetLogFont(&lf);
    EXPECT_EQ(nExpected, lf.lfHeight);
    LOGFONTA lfBold;
    theme.GetRegularBoldFont()->GetLogFont(&lfBold);
    EXPECT_EQ(FW_BOLD, lfBold.lfWeight);
    LOGFONTA lfVert;
    theme.m_fontVert.GetLogFont(&lfVert);
    EXPECT_EQ(2700, lfVert.lfEscapement);
    EXPECT_EQ(900, lfVert.lfOrientation);
    LOGFONTA lfVertBold;
    theme.m_fontVertBold.GetLogFont(&lfVertBold);
    EXPECT_EQ(FW_BOLD, lfVertBold.lfWeight);
    EXPECT_EQ(2700, lfVertBold.lfEscapement);
    EXPECT_NE((HFONT)NULL, (HFONT)theme.GetIconBoldFont()->GetSafeHandle());
    EXPECT_NE((HFONT)NULL, (HFONT)theme.GetStatusFont()->GetSafeHandle());
    EXPECT_EQ(theme.GetRegularBoldFont(), theme.GetCommandBarFont(NULL, TRUE));
}

TEST(PaintManagerTest, ControlHeightFollowsTheFontButNeverGoesBelow22)
{
    XTPPaintThemes::CXTPDefaultTheme theme;
    LOGFONTA lf = {};
    lf.lfHeight = -4;
    lstrcpyA(lf.lfFaceName, "Tahoma");
    theme.CreateCommandBarFonts(&lf, FALSE);
    EXPECT_FALSE(theme.m_bUseStandardFont);
    EXPECT_LT(theme.m_nTextHeight, 22);
    EXPECT_EQ(22, theme.GetControlHeight());

    lf.lfHeight = -40;
    theme.CreateCommandBarFonts(&lf, FALSE);
    EXPECT_GT(theme.GetControlHeight(), 22);
    EXPECT_EQ(theme.m_nTextHeight, theme.GetControlHeight());
    EXPECT_TRUE(theme.m_bUseOfficeFont) << "the configured face was given";
}

TEST(PaintManagerTest, ApplicationFontsSurviveAFontUpdate)
{
    XTPPaintThemes::CXTPDefaultTheme theme;
    theme.RefreshMetrics();
    LOGFONTA lf = {};
    lf.lfHeight = -30;
    lstrcpyA(lf.lfFaceName, "Tahoma");
    ASSERT_TRUE(theme.m_fontStatus.SetCustomFontIndirect(&lf));
    theme.UpdateFonts();
    LOGFONTA lfAfter;
    theme.m_fontStatus.GetLogFont(&lfAfter);
    EXPECT_EQ(-30, lfAfter.lfHeight);
    EXPECT_FALSE(theme.m_fontStatus.IsStandardFont());
}

TEST(PaintManagerTest, CheckMarkUsesItsOwnCoordinatesOnMirroredDCs)
{
    XTPPaintThemes::CXTPDefaultTheme theme;
    theme.RefreshMetrics();
    // Origin (0, 0) for a 20 x 20 rectangle: the mark's elbow is at (8, 11)
    // left to right, at (10, 11) on a mirrored DC.
    testsupport::Canvas plain(20, 20);
    theme.DrawCheckMark(plain.DC(), CRect(0, 0, 20, 20), RGB(0, 0, 0));
    EXPECT_EQ(RGB(0, 0, 0), plain.Pixel(8, 11));
    EXPECT_EQ(RGB(0, 0, 0), plain.Pixel(6, 9));

    testsupport::Canvas thick(20, 20);
    theme.m_bThickCheckMark = TRUE;
    theme.DrawCheckMark(thick.DC(), CRect(0, 0, 20, 20), RGB(0, 0, 0));
    EXPECT_EQ(RGB(0, 0, 0), thick.Pixel(8, 13)) << "drawn again one pixel lower";
    EXPECT_EQ(RGB(255, 255, 255), plain.Pixel(8, 13));
}

TEST(PaintManagerTest, DropDownArrowUsesAMinimumHalfWidth)
{
    XTPPaintThemes::CXTPDefaultTheme theme;
    testsupport::Canvas canvas(6, 10);
    theme.DrawDropDownArrow(canvas.DC(), CRect(0, 0, 6, 10), RGB(0, 0, 0));
    // Centre x 3, half width 2, top y = 5 - 1 = 4: the base runs from x 1 to 5.
    EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(1, 4));
    EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(3, 5));
    EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(3, 8));
}

TEST(PaintManagerTest, CheckBoxMarksMeasure13AndDrawOnlyWhenAsked)
{
    XTPPaintThemes::CXTPDefaultTheme theme;
    testsupport::Canvas canvas(20, 20);
    EXPECT_EQ(CSize(13, 13), theme.DrawCheckBoxMark(canvas.DC(), CRect(0, 0, 13, 13), FALSE, FALSE, FALSE, 1, TRUE));
    EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(6, 6));
    EXPECT_EQ(CSize(13, 13), theme.DrawCheckBoxMark(canvas.DC(), CRect(0, 0, 13, 13), TRUE, FALSE, FALSE, 1, TRUE));
    EXPECT_EQ(CSize(13, 13), theme.DrawRadioButtonMark(NULL, CRect(), TRUE, FALSE, FALSE, 0, TRUE));
}

TEST(PaintManagerTest, DefaultThemeTextColoursAndRectangles)
{
    XTPPaintThemes::CXTPDefaultTheme theme;
    theme.RefreshMetrics();
    EXPECT_EQ(theme.GetColor(COLOR_HIGHLIGHTTEXT), theme.GetRectangleTextColor(TRUE, FALSE, TRUE, FALSE, FALSE, 2, 5));
    EXPECT_EQ(theme.GetColor(18), theme.GetRectangleTextColor(FALSE, FALSE, TRUE, FALSE, FALSE, 2, 5));
    EXPECT_EQ(theme.GetColor(COLOR_GRAYTEXT), theme.GetRectangleTextColor(TRUE, FALSE, FALSE, FALSE, FALSE, 1, 0));

    testsupport::Canvas canvas(10, 10, RGB(1, 1, 1));
    theme.DrawRectangle(canvas.DC(), CRect(0, 0, 10, 10), TRUE, FALSE, TRUE, FALSE, FALSE, 2, 5);
    EXPECT_EQ(theme.GetColor(COLOR_HIGHLIGHT), canvas.Pixel(5, 5));

    testsupport::Canvas raised(10, 10, RGB(1, 1, 1));
    theme.DrawRectangle(raised.DC(), CRect(0, 0, 10, 10), TRUE, FALSE, TRUE, FALSE, FALSE, 1, 0);
    EXPECT_EQ(theme.GetColor(COLOR_BTNHILIGHT), raised.Pixel(0, 0));
    EXPECT_EQ(theme.GetColor(COLOR_3DSHADOW), raised.Pixel(9, 9));
    EXPECT_EQ(RGB(1, 1, 1), raised.Pixel(5, 5));
}

TEST(PaintManagerTest, StatusBarGripperIsPlacedByTheSizeAlone)
{
    XTPPaintThemes::CXTPDefaultTheme theme;
    theme.RefreshMetrics();
    testsupport::Canvas canvas(40, 30, RGB(1, 1, 1));
    theme.DrawStatusBarGripper(canvas.DC(), CRect(100, 100, 120, 120));
    // W = H = 20: the first shadow line runs from (17, 18) up to (19, 16).
    EXPECT_EQ(theme.GetColor(COLOR_3DSHADOW), canvas.Pixel(17, 18));
    EXPECT_EQ(theme.GetColor(COLOR_BTNHILIGHT), canvas.Pixel(15, 18));
}

TEST(PaintManagerTest, SlideAnimationEndsWithTheWholePicture)
{
    XTPPaintThemes::CXTPDefaultTheme theme;
    theme.m_nAnimationTime = 0;
    testsupport::Canvas source(30, 20, RGB(200, 10, 10));
    testsupport::Canvas dest(30, 20, RGB(0, 0, 0));
    theme.AnimatePopup(dest.DC(), source.DC(), CRect(0, 0, 30, 20), 3);
    EXPECT_EQ(RGB(200, 10, 10), dest.Pixel(29, 19));
    EXPECT_EQ(RGB(200, 10, 10), dest.Pixel(0, 0));

    testsupport::Canvas faded(30, 20, RGB(0, 0, 0));
    theme.AnimatePopup(faded.DC(), source.DC(), CRect(0, 0, 30, 20), 4);
    // Nine blended frames, the last at 9/10 of the way.
    EXPECT_NEAR(179, GetRValue(faded.Pixel(5, 5)), 2);
}

TEST(PaintManagerTest, BlendPixelsMixesTheColourBytesOnly)
{
    BYTE first[4] = { 0, 0, 0, 7 };
    BYTE second[4] = { 255, 128, 64, 9 };
    BYTE dest[4] = { 1, 1, 1, 42 };
    CXTPPaintManager::BlendPixels(dest, first, 1, 1, second, 128);
    EXPECT_EQ(127, dest[0]);
    EXPECT_EQ(64, dest[1]);
    EXPECT_EQ(32, dest[2]);
    EXPECT_EQ(42, dest[3]);
}

TEST(PaintManagerFactoryTest, EveryThemeIdGivesAConcreteThemeWithTheIdRecorded)
{
    // id -> the theme family of the class made for it
    const int families[][2] = { { 0, 0 }, { 1, 1 }, { 2, 2 }, { 3, 3 }, { 4, 4 },
                                { 5, 5 }, { 6, 5 }, { 7, 0 }, { 9, 0 }, { -1, 0 } };
    for (const auto& family : families)
    {
        CXTPPaintManager* pTheme = CXTPPaintManager::CreateTheme(family[0]);
        ASSERT_NE(nullptr, pTheme);
        EXPECT_EQ(family[1], pTheme->BaseTheme()) << family[0];
        EXPECT_EQ(family[0], pTheme->GetCurrentTheme());
        EXPECT_NE(nullptr, pTheme->GetGalleryPaintManager());
        pTheme->InternalRelease();
    }
}

TEST(PaintManagerFactoryTest, IdsZeroToFiveEachMakeTheirOwnClass)
{
    // The exact class, not only the family it reports: no id is a stand-in
    // made of another theme's class.
    const std::type_info* expected[6] = { &typeid(XTPPaintThemes::CXTPDefaultTheme),
                                          &typeid(XTPPaintThemes::CXTPOfficeTheme),
                                          &typeid(XTPPaintThemes::CXTPOffice2003Theme),
                                          &typeid(XTPPaintThemes::CXTPNativeXPTheme),
                                          &typeid(XTPPaintThemes::CXTPWhidbeyTheme),
                                          &typeid(CXTPOffice2007Theme) };
    for (int nTheme = 0; nTheme < 6; nTheme++)
    {
        CXTPPaintManager* pTheme = CXTPPaintManager::CreateTheme(nTheme);
        ASSERT_NE(nullptr, pTheme);
        EXPECT_TRUE(typeid(*pTheme) == *expected[nTheme]) << nTheme << ": " << typeid(*pTheme).name();
        pTheme->InternalRelease();
    }
}

TEST(PaintManagerFactoryTest, InstallingTheCurrentThemeAgainOnlyRefreshesIt)
{
    g_nDestroyed = 0;
    CountedTheme* pTheme = new CountedTheme();
    CXTPPaintManager::SetCustomTheme(pTheme);
    pTheme->m_nTextHeight = 0;
    CXTPPaintManager::SetCustomTheme(pTheme);
    EXPECT_EQ(0, g_nDestroyed) << "not released";
    EXPECT_EQ(pTheme, XTPPaintManager());
    EXPECT_EQ(xtpThemeCustom, pTheme->GetCurrentTheme());
    EXPECT_GT(pTheme->m_nTextHeight, 0) << "refreshed";
    CXTPPaintManager::SetTheme(xtpThemeDefault);
    EXPECT_EQ(1, g_nDestroyed);
}

TEST(PaintManagerFactoryTest, ThemeSwapHandsWindowsTheNewFontsFirst)
{
    CXTPPaintManager::SetTheme(xtpThemeDefault);
    HWND hWndHost = testsupport::CreatePlainWindow(0, 0, 200, 100, WS_POPUP);
    HWND hWndEdit = ::CreateWindowExA(0, "EDIT", "", WS_CHILD, 0, 0, 100, 20, hWndHost, NULL, NULL, NULL);
    HWND hWndCombo = ::CreateWindowExA(0, "EDIT", "", WS_CHILD, 0, 30, 100, 20, hWndHost, NULL, NULL, NULL);
    HWND hWndOwn = ::CreateWindowExA(0, "EDIT", "", WS_CHILD, 0, 60, 100, 20, hWndHost, NULL, NULL, NULL);
    ::SendMessage(hWndEdit, WM_SETFONT, (WPARAM)XTPPaintManager()->GetRegularFont()->GetSafeHandle(), FALSE);
    ::SendMessage(hWndCombo, WM_SETFONT, (WPARAM)XTPPaintManager()->GetControlFont()->GetSafeHandle(), FALSE);
    HFONT hOwnFont = (HFONT)::GetStockObject(ANSI_VAR_FONT);
    ::SendMessage(hWndOwn, WM_SETFONT, (WPARAM)hOwnFont, FALSE);

    CXTPPaintManager::SetTheme(xtpThemeOffice2003);
    EXPECT_EQ(XTPPaintManager()->GetRegularFont()->GetSafeHandle(), (HGDIOBJ)::SendMessage(hWndEdit, WM_GETFONT, 0, 0));
    EXPECT_EQ(XTPPaintManager()->GetControlFont()->GetSafeHandle(), (HGDIOBJ)::SendMessage(hWndCombo, WM_GETFONT, 0, 0));
    EXPECT_EQ(hOwnFont, (HFONT)::SendMessage(hWndOwn, WM_GETFONT, 0, 0)) << "fonts of its own are left alone";

    // A refresh of the current theme rebuilds its fonts: windows follow.
    CXTPPaintManager::SetCustomTheme(XTPPaintManager());
    HFONT hFont = (HFONT)::SendMessage(hWndEdit, WM_GETFONT, 0, 0);
    EXPECT_EQ(XTPPaintManager()->GetRegularFont()->GetSafeHandle(), (HGDIOBJ)hFont);
    LOGFONT lf;
    EXPECT_NE(0, ::GetObject(hFont, sizeof(lf), &lf)) << "a live font";

    testsupport::DestroyQuietly(hWndHost);
    CXTPPaintManager::SetTheme(xtpThemeDefault);
}

TEST(PaintManagerFontTest, CommandBarFontHeightsFromTheMenuFont)
{
    LOGFONTA lfMenu = {};
    lfMenu.lfWeight = FW_NORMAL;
    lfMenu.lfWidth = 7;
    lstrcpyA(lfMenu.lfFaceName, "Tahoma");
    const LONG heights[][2] = { { -8, -11 }, { -10, -11 }, { -11, -11 }, { -14, -14 }, { 12, 12 }, { 0, 0 } };
    for (const auto& height : heights)
    {
        lfMenu.lfHeight = height[0];
        LOGFONTA lf = CXTPPaintManager::GetCommandBarLogFont(lfMenu);
        EXPECT_EQ(height[1], lf.lfHeight) << height[0];
        EXPECT_EQ(0, lf.lfWidth) << "only height, weight, italic, character set and face are kept";
        EXPECT_STREQ("Tahoma", lf.lfFaceName);
    }
}
