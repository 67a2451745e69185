// Colour manager: tables on the classic path, an injected XP scheme, the
// low-colour path, and the colour arithmetic.
#include <gtest/gtest.h>

#include "support/canvas.h"
#include "XTPColorManager.h"
#include "XTPWinThemeWrapper.h"
#include <math.h>

namespace
{
// A manager whose system colours, scheme and screen depth the test decides.
class CTestColorManager : public CXTPColorManager
{
public:
    int m_nScheme = 0;
    BOOL m_bLowColor = FALSE;
    virtual int DetectSystemTheme() { return m_nScheme; }

    void SetClassicSystemColors()
    {
        SetColor(COLOR_WINDOW, RGB(255, 255, 255));
        SetColor(COLOR_MENUTEXT, RGB(0, 0, 0));
        SetColor(COLOR_WINDOWTEXT, RGB(0, 0, 0));
        SetColor(COLOR_HIGHLIGHT, RGB(10, 36, 106));
        SetColor(COLOR_HIGHLIGHTTEXT, RGB(255, 255, 255));
        SetColor(COLOR_BTNFACE, RGB(212, 208, 200));
        SetColor(COLOR_BTNSHADOW, RGB(128, 128, 128));
        SetColor(COLOR_GRAYTEXT, RGB(128, 128, 128));
        SetColor(COLOR_BTNTEXT, RGB(0, 0, 0));
    }

protected:
    virtual BOOL IsLowColorScreen() const { return m_bLowColor; }
};

void ExpectGradient(const CXTPPaintManagerColorGradient& grc, COLORREF clrStart, COLORREF clrEnd, float fFactor)
{
    EXPECT_EQ(clrStart, grc.clrLight.GetColor());
    EXPECT_EQ(clrEnd, grc.clrDark.GetColor());
    EXPECT_FLOAT_EQ(fFactor, grc.fGradientFactor);
}
}

TEST(ColorArithmetic, MixColorsReadsWeightsBelow100AsPercentAndOthersAsPerMille)
{
    EXPECT_EQ(RGB(252, 252, 252), CXTPColorManager::MixColors(RGB(255, 255, 255), RGB(0, 0, 0), 99));
    EXPECT_EQ(RGB(26, 26, 26), CXTPColorManager::MixColors(RGB(255, 255, 255), RGB(0, 0, 0), 100));
    EXPECT_EQ(RGB(77, 179, 0), CXTPColorManager::MixColors(RGB(255, 0, 0), RGB(0, 255, 0), 30));
    // 16.5 % of a and 83.5 % of b, rounded by adding half the scale.
    EXPECT_EQ(RGB(42, 0, 213), CXTPColorManager::MixColors(RGB(255, 0, 0), RGB(0, 0, 255), 165));
}

TEST(ColorArithmetic, DistanceAndDifference)
{
    CTestColorManager manager;
    EXPECT_NEAR(441.0, manager.ColorDistance(RGB(0, 0, 0), RGB(255, 255, 255)), 1.0);
    EXPECT_NEAR(195.0, manager.ColorDistance(RGB(0, 0, 0), RGB(255, 0, 0)), 0.01);
    EXPECT_NEAR(390.0, manager.ColorDistance(RGB(0, 0, 0), RGB(0, 255, 0)), 0.01);
    EXPECT_NEAR(65.0, manager.ColorDistance(RGB(0, 0, 0), RGB(0, 0, 255)), 0.01);

    EXPECT_TRUE(manager.IsColorDifferent(RGB(0, 0, 0), RGB(255, 255, 255), FALSE, 400));
    EXPECT_FALSE(manager.IsColorDifferent(RGB(0, 0, 0), RGB(255, 255, 255), FALSE, 450));
    // A dark colour doubles the threshold when adaptive.
    EXPECT_TRUE(manager.IsColorDifferent(RGB(0, 0, 0), RGB(0, 0, 255), FALSE, 60));
    EXPECT_FALSE(manager.IsColorDifferent(RGB(0, 0, 0), RGB(0, 0, 255), TRUE, 60));
}

TEST(ColorArithmetic, SeparateColorMovesAlongTheLineToTheThreshold)
{
    CTestColorManager manager;
    // a on b's line: the result lies at the (adapted) threshold from a.
    COLORREF clrA = RGB(200, 200, 200), clrB = RGB(210, 210, 210);
    COLORREF clrResult = manager.SeparateColor(clrA, clrB, 50);
    int d = (int)manager.ColorDistance(clrA, 0);
    float t = (float)((2.0 - std::min(d, 220) / 220.0) * 50);
    EXPECT_NEAR(t, manager.ColorDistance(clrA, clrResult), 2.0f);
    EXPECT_EQ(GetRValue(clrResult), GetGValue(clrResult));
    EXPECT_EQ(GetGValue(clrResult), GetBValue(clrResult));
}

TEST(ColorArithmetic, SeparateColorWithoutRealSolutionGivesTheFootPoint)
{
    CTestColorManager manager;
    // Red lies 195 away from the blue axis, farther than the threshold: the
    // square root has no real value and the foot point (black) is taken.
    EXPECT_EQ(RGB(0, 0, 0), manager.SeparateColor(RGB(255, 0, 0), RGB(0, 0, 255), 50));
    // Degenerate b (black) must not divide by zero either.
    COLORREF clr = manager.SeparateColor(RGB(128, 128, 128), RGB(0, 0, 0), 100);
    EXPECT_LE(GetRValue(clr), 255);
}

TEST(ColorArithmetic, LimitColorDistanceBringsBToTheThreshold)
{
    CTestColorManager manager;
    COLORREF clrA = RGB(240, 240, 240), clrB = RGB(0, 0, 0);
    COLORREF clrResult = manager.LimitColorDistance(clrA, clrB, 100);
    EXPECT_NEAR(100.0f, manager.ColorDistance(clrA, clrResult), 2.0f);
    EXPECT_EQ(clrB, manager.LimitColorDistance(clrB, clrB, 100));
}

TEST(PaintManagerColor, CustomValueWinsAndSerializeKeepsBoth)
{
    CXTPPaintManagerColor clr;
    EXPECT_EQ(COLORREF_NULL, clr.GetColor());
    clr.SetStandardValue(RGB(1, 2, 3));
    EXPECT_EQ(RGB(1, 2, 3), (COLORREF)clr);
    clr.SetCustomValue(RGB(4, 5, 6));
    EXPECT_EQ(RGB(4, 5, 6), (COLORREF)clr);
    clr.SetStandardValue(RGB(7, 8, 9));
    EXPECT_EQ(RGB(4, 5, 6), (COLORREF)clr);

    CXTPPaintManagerColorGradient grc;
    grc.SetStandardValue(RGB(10, 20, 30), RGB(40, 50, 60), 0.75f);
    grc.clrDark.SetCustomValue(RGB(70, 80, 90));

    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        clr.Serialize(ar);
        grc.Serialize(ar);
    }
    EXPECT_EQ(8u + 20u, (UINT)file.GetLength());
    file.SeekToBegin();
    CXTPPaintManagerColor clrLoaded;
    CXTPPaintManagerColorGradient grcLoaded;
    {
        CArchive ar(&file, CArchive::load);
        clrLoaded.Serialize(ar);
        grcLoaded.Serialize(ar);
    }
    EXPECT_EQ(RGB(7, 8, 9), clrLoaded.GetStandardColor());
    EXPECT_EQ(RGB(4, 5, 6), clrLoaded.GetCustomColor());
    EXPECT_EQ(RGB(10, 20, 30), grcLoaded.clrLight.GetColor());
    EXPECT_EQ(RGB(70, 80, 90), grcLoaded.clrDark.GetColor());
    EXPECT_FLOAT_EQ(0.75f, grcLoaded.fGradientFactor);

    CXTPPaintManagerColorGradient grcCopy;
    grcCopy.SetStandardValueFromGradient(grc);
    EXPECT_EQ(RGB(70, 80, 90), grcCopy.clrDark.GetStandardColor());
    EXPECT_TRUE(grcCopy.clrDark.IsDefaultValue());
}

TEST(ColorManager, GetColorPassesRgbValuesAndPrefersCustomValues)
{
    CTestColorManager manager;
    EXPECT_EQ(RGB(0, 0, 255), manager.GetColor(RGB(0, 0, 255)));
    manager.SetColor(62, RGB(9, 9, 9));
    EXPECT_EQ(RGB(9, 9, 9), manager.GetColor(62));
    EXPECT_EQ((COLORREF)::GetSysColor(COLOR_BTNFACE), manager.GetStandardColor(COLOR_BTNFACE));
}

TEST(ColorManager, ClassicTablesFollowTheRules)
{
    CTestColorManager manager;
    manager.SetClassicSystemColors();
    manager.RefreshColors();

    EXPECT_EQ(0, manager.GetWinTheme());
    EXPECT_EQ(0, manager.GetCurrentSystemTheme());
    EXPECT_EQ(RGB(219, 216, 209), manager.GetColor(30));  // MixColors(window, face, 165)
    EXPECT_EQ(RGB(247, 242, 233), manager.GetColor(48));  // face brightened by 35
    EXPECT_EQ(RGB(85, 85, 85), manager.GetColor(49));     // shadow darkened by 43
    EXPECT_EQ(RGB(227, 223, 215), manager.GetStandardColor(COLOR_3DLIGHT));
    EXPECT_EQ(RGB(0, 0, 0), manager.GetColor(59));
    EXPECT_EQ(manager.GetColor(30), manager.GetColor(53));
    EXPECT_EQ(manager.GetColor(40), manager.GetColor(58));
    COLORREF c31 = manager.GetColor(31);
    EXPECT_EQ(RGB((int)(GetRValue(c31) * 0.75), (int)(GetGValue(c31) * 0.75), (int)(GetBValue(c31) * 0.75)),
              manager.GetColor(34));

    // Without a scheme the Luna table is empty.
    for (int i = 30; i <= 62; i++)
        EXPECT_EQ(manager.GetColor(i), manager.GetLunaColor(i)) << i;

    ExpectGradient(manager.m_arrGradients[0], RGB(128, 128, 128), RGB(128, 128, 128), 0.5f);
    ExpectGradient(manager.m_arrGradients[2], RGB(212, 208, 200), RGB(128, 128, 128), 0.5f);
    ExpectGradient(manager.m_arrGradients[3],
                   CXTPColorManager::MixColors(RGB(212, 208, 200), RGB(255, 255, 255), 205), RGB(212, 208, 200),
                   0.5f);
    ExpectGradient(manager.m_arrGradients[7], RGB(255, 213, 140), RGB(255, 173, 85), 0.5f);
    ExpectGradient(manager.m_arrGradients[9], RGB(255, 242, 200), RGB(255, 212, 151), 0.5f);
}

TEST(ColorManager, ContrastRepairsKeepTextReadable)
{
    CTestColorManager manager;
    manager.SetClassicSystemColors();
    manager.RefreshColors();
    // Black toolbar text already stands off the toolbar face: it is kept.
    const COLORREF clrFace = manager.GetColor(30);
    EXPECT_EQ(RGB(0, 0, 0), manager.GetColor(46));
    EXPECT_TRUE(manager.IsColorDifferent(clrFace, manager.GetColor(46), TRUE, 180));

    // Text nearly as light as the face is moved away from it.
    const COLORREF clrPale = RGB(200, 200, 200);
    manager.SetColor(COLOR_BTNTEXT, clrPale);
    manager.RefreshColors();
    ASSERT_EQ(clrFace, manager.GetColor(30));
    ASSERT_FALSE(manager.IsColorDifferent(clrFace, clrPale, TRUE, 180));
    EXPECT_EQ(manager.SeparateColor(clrFace, clrPale, 180), manager.GetColor(46));
    EXPECT_GT(manager.ColorDistance(clrFace, manager.GetColor(46)), manager.ColorDistance(clrFace, clrPale) + 100);
}

TEST(ColorManager, BlackButtonFaceGivesFixedTabColours)
{
    CTestColorManager manager;
    manager.SetClassicSystemColors();
    manager.SetColor(COLOR_BTNFACE, RGB(0, 0, 0));
    manager.RefreshColors();
    EXPECT_EQ(RGB(127, 127, 127), manager.GetColor(49));
    EXPECT_EQ(RGB(35, 35, 35), manager.GetColor(48));
}

TEST(ColorManager, LowColorScreenKeepsPlainSystemColours)
{
    CTestColorManager manager;
    manager.SetClassicSystemColors();
    manager.m_bLowColor = TRUE;
    manager.RefreshColors();

    EXPECT_EQ(RGB(212, 208, 200), manager.GetColor(30));
    EXPECT_EQ(RGB(255, 255, 255), manager.GetColor(31));
    EXPECT_EQ(RGB(10, 36, 106), manager.GetColor(33));
    EXPECT_EQ(RGB(128, 128, 128), manager.GetColor(40));
    EXPECT_EQ(RGB(0, 0, 0), manager.GetColor(46));
    ExpectGradient(manager.m_arrGradients[1], RGB(212, 208, 200), RGB(212, 208, 200), 0.5f);
    ExpectGradient(manager.m_arrGradients[3], RGB(212, 208, 200), RGB(212, 208, 200), 0.5f);
}

TEST(ColorManager, InjectedLunaSchemesFillTheLunaTableAndGradients)
{
    CTestColorManager manager;
    manager.m_nScheme = xtpSystemThemeBlue;
    manager.RefreshColors();

    EXPECT_EQ(1, manager.GetWinTheme());
    EXPECT_EQ(1, manager.GetCurrentSystemTheme());
    EXPECT_EQ(RGB(158, 190, 245), manager.GetLunaColor(30));
    EXPECT_EQ(RGB(0, 0, 128), manager.GetLunaColor(50));
    EXPECT_EQ(RGB(22, 30, 54), manager.GetLunaColor(59));
    EXPECT_EQ(manager.GetColor(44), manager.GetLunaColor(44));  // not a scheme entry
    EXPECT_EQ(RGB(0, 45, 150), manager.GetColor(54));
    ExpectGradient(manager.m_arrGradients[3], RGB(221, 236, 254), RGB(129, 169, 226), 0.75f);

    // An explicit choice overrides the detected scheme.
    manager.SetLunaTheme(xtpSystemThemeOlive);
    manager.RefreshColors();
    EXPECT_EQ(2, manager.GetCurrentSystemTheme());
    EXPECT_EQ(RGB(217, 217, 167), manager.GetLunaColor(30));
    ExpectGradient(manager.m_arrGradients[4], RGB(255, 255, 237), RGB(184, 199, 146), 0.3f);

    manager.SetLunaTheme(xtpSystemThemeSilver);
    manager.RefreshColors();
    EXPECT_EQ(RGB(124, 124, 148), manager.GetColor(54));
    ExpectGradient(manager.m_arrGradients[0], RGB(168, 167, 191), RGB(112, 111, 145), 0.5f);

    // Turning the scheme colours off empties the table and restores classic gradients.
    manager.DisableLunaColors(TRUE);
    manager.SetClassicSystemColors();
    manager.RefreshColors();
    EXPECT_TRUE(manager.IsLunaColorsDisabled());
    EXPECT_EQ(manager.GetColor(30), manager.GetLunaColor(30));
    ExpectGradient(manager.m_arrGradients[2], RGB(212, 208, 200), RGB(128, 128, 128), 0.5f);
    // Gradients 7-9 are kept by later refreshes.
    ExpectGradient(manager.m_arrGradients[8], RGB(254, 142, 75), RGB(255, 207, 139), 0.5f);
}

TEST(ColorManager, SchemeNamesAreRecognised)
{
    EXPECT_EQ(1, CXTPColorManager::GetSchemeFromThemeName(L"C:\\WINDOWS\\Resources\\Themes\\Luna\\Luna.msstyles",
                                                          L"NormalColor"));
    EXPECT_EQ(2, CXTPColorManager::GetSchemeFromThemeName(L"x\\luna.msstyles", L"HomeStead"));
    EXPECT_EQ(3, CXTPColorManager::GetSchemeFromThemeName(L"x\\WinXP.Luna.cjstyles", L"Metallic"));
    EXPECT_EQ(0, CXTPColorManager::GetSchemeFromThemeName(L"x\\royale.msstyles", L"NormalColor"));
    EXPECT_EQ(0, CXTPColorManager::GetSchemeFromThemeName(L"x\\luna.msstyles", L"NormalColor2"));
}

namespace
{
BOOL WINAPI FakeIsThemeActive()
{
    return TRUE;
}

HRESULT WINAPI FakeGetCurrentThemeName(LPWSTR pszFile, int cchFile, LPWSTR pszColor, int cchColor, LPWSTR, int)
{
    lstrcpynW(pszFile, L"C:\\WINDOWS\\Resources\\Themes\\Luna\\Luna.msstyles", cchFile);
    lstrcpynW(pszColor, L"Metallic", cchColor);
    return S_OK;
}
}

TEST(ColorManager, DetectionReadsTheVisualStylesLibrary)
{
    // Without visual styles (as under Wine) detection gives no scheme.
    CXTPColorManager plain;
    EXPECT_EQ(0, plain.DetectSystemTheme());

    // Injected entries stand in for an active Luna style.
    CXTPWinThemeWrapper::CSharedData& data = CXTPWinThemeWrapper::GetSharedData();
    data.CheckModule();
    if (data.m_hThemeDll == NULL)
        GTEST_SKIP() << "no visual-styles library to stand in for";
    FARPROC pOldActive = data.m_rgEntries[CXTPWinThemeWrapper::xtpIsThemeActive];
    FARPROC pOldName = data.m_rgEntries[CXTPWinThemeWrapper::xtpGetCurrentThemeName];
    data.m_rgEntries[CXTPWinThemeWrapper::xtpIsThemeActive] = (FARPROC)FakeIsThemeActive;
    data.m_rgEntries[CXTPWinThemeWrapper::xtpGetCurrentThemeName] = (FARPROC)FakeGetCurrentThemeName;

    CXTPColorManager themed;
    int nDetected = themed.GetWinTheme();
    COLORREF clrLuna = themed.GetLunaColor(30);

    data.m_rgEntries[CXTPWinThemeWrapper::xtpIsThemeActive] = pOldActive;
    data.m_rgEntries[CXTPWinThemeWrapper::xtpGetCurrentThemeName] = pOldName;

    if (CXTPColorManager::IsLowColorDepth(NULL))
        GTEST_SKIP() << "low-colour screen";
    EXPECT_EQ(3, nDetected);
    EXPECT_EQ(RGB(215, 215, 229), clrLuna);
}

TEST(ColorManager, SharedInstance)
{
    CXTPColorManager* pManager = GetColorManager();
    ASSERT_NE(nullptr, pManager);
    EXPECT_EQ(pManager, GetColorManager());
    RefreshColorManager();
    EXPECT_EQ(pManager->GetColor(COLOR_WINDOW), GetXTPSysColor(COLOR_WINDOW));
}
