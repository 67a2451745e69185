// The classic default theme: 3-D edges, the checkerboard of checked
// buttons, popup borders, marks, embossed icons, the customise list rows and
// its look.
#include <gtest/gtest.h>

#include "XTPDefaultTheme.h"
#include "support/canvas.h"
#include "support/fakevisualstyles.h"
#include "support/themescene.h"

using XTPPaintThemes::CXTPDefaultTheme;
using testsupport::Canvas;

namespace
{
using DefaultThemeTest = testsupport::InstalledThemeTest<CXTPDefaultTheme>;
} // namespace

TEST_F(DefaultThemeTest, PopupBarsHaveThreePixelBordersAndAFramedRaisedFace)
{
    CXTPPopupBar* pPopup = new CXTPPopupBar();
    EXPECT_EQ(CRect(3, 3, 3, 3), m_pTheme->GetCommandBarBorders(pPopup));
    CXTPToolBar* pToolBar = new CXTPToolBar();
    EXPECT_EQ(CRect(2, 2, 2, 2), m_pTheme->GetCommandBarBorders(pToolBar));

    pPopup->CreateEx(WS_EX_TOOLWINDOW, AfxRegisterWndClass(0), _T(""), WS_POPUP, CRect(0, 0, 50, 40), NULL, 0);
    Canvas canvas(50, 40, RGB(9, 9, 9));
    m_pTheme->FillCommandBar(canvas.DC(), pPopup);
    EXPECT_EQ(m_pTheme->GetColor(15), canvas.Pixel(0, 0));
    EXPECT_EQ(m_pTheme->GetColor(21), canvas.Pixel(49, 39));
    EXPECT_EQ(m_pTheme->GetColor(20), canvas.Pixel(1, 1));
    EXPECT_EQ(m_pTheme->GetColor(16), canvas.Pixel(48, 38));
    EXPECT_EQ(m_pTheme->GetColor(15), canvas.Pixel(25, 20));
    pPopup->DestroyWindow();
    pPopup->InternalRelease();
    pToolBar->InternalRelease();
}

TEST_F(DefaultThemeTest, CheckedButtonsShowTheCheckerboardUntilHovered)
{
    for (int nBits : { 24, 32 })
    {
        Canvas canvas(12, 12, RGB(9, 9, 9), nBits);
        m_pTheme->DrawRectangle(canvas.DC(), CRect(0, 0, 12, 12), FALSE, FALSE, TRUE, TRUE, FALSE, 1, 0);
        EXPECT_EQ(m_pTheme->GetColor(16), canvas.Pixel(0, 0)) << "sunken";
        EXPECT_EQ(m_pTheme->GetColor(20), canvas.Pixel(11, 11));
        COLORREF a = canvas.Pixel(5, 5), b = canvas.Pixel(6, 5);
        EXPECT_NE(a, b) << "alternating pixels";
        EXPECT_TRUE((a == m_pTheme->GetColor(15) && b == m_pTheme->GetColor(20)) ||
                    (a == m_pTheme->GetColor(20) && b == m_pTheme->GetColor(15)));

        canvas.Fill(RGB(9, 9, 9));
        m_pTheme->DrawRectangle(canvas.DC(), CRect(0, 0, 12, 12), TRUE, FALSE, TRUE, TRUE, FALSE, 1, 0);
        EXPECT_EQ(m_pTheme->GetColor(16), canvas.Pixel(0, 0));
        EXPECT_EQ(RGB(9, 9, 9), canvas.Pixel(5, 5)) << "hovered: the sunken edge only";
    }
}

TEST_F(DefaultThemeTest, SplitMenuItemWithEnabledValueFourIsDrawnDisabled)
{
    m_pTheme->RefreshMetrics();
    CXTPPopupBar* pPopup = new CXTPPopupBar();
    CXTPControl* pSplit = pPopup->GetControls()->Add(xtpControlSplitButtonPopup, 0);
    pSplit->m_bEnabled = 4;
    EXPECT_EQ(m_pTheme->GetColor(COLOR_GRAYTEXT), m_pTheme->GetControlTextColor(pSplit));
    pSplit->m_bEnabled = 1;
    EXPECT_EQ(m_pTheme->GetColor(COLOR_BTNTEXT), m_pTheme->GetControlTextColor(pSplit));
    pPopup->InternalRelease();
}

TEST_F(DefaultThemeTest, DisabledComboBoxStillDrawsItsArrowInButtonText)
{
    m_pTheme->RefreshMetrics();
    m_pTheme->GetColorEntry(COLOR_BTNTEXT).SetCustomValue(RGB(200, 0, 0));
    CXTPToolBar* pBar = new CXTPToolBar();
    CXTPControlComboBox* pCombo = (CXTPControlComboBox*)pBar->GetControls()->Add(new CXTPControlComboBox(), 1);
    pCombo->SetWidth(100);
    pCombo->m_bEnabled = FALSE;
    Canvas canvas(110, 30, RGB(9, 9, 9));
    CSize sz = m_pTheme->DrawControl(canvas.DC(), pCombo, FALSE);
    pCombo->SetRect(CRect(0, 0, sz.cx, sz.cy));
    m_pTheme->DrawControl(canvas.DC(), pCombo, TRUE);
    int nArrowPixels = 0;
    for (int x = sz.cx - pCombo->GetThumbWidth(); x < sz.cx; x++)
        for (int y = 0; y < sz.cy; y++)
            nArrowPixels += canvas.Pixel(x, y) == RGB(200, 0, 0);
    EXPECT_GT(nArrowPixels, 3);
    m_pTheme->GetColorEntry(COLOR_BTNTEXT).SetDefaultValue();
    pBar->InternalRelease();
}

TEST_F(DefaultThemeTest, IndeterminateCheckBoxIsTheInactiveCheckedFrameControl)
{
    testsupport::FakeVisualStyles classic(false);
    m_pTheme->m_bThemedCheckBox = TRUE;
    m_pTheme->RefreshMetrics();
    Canvas drawn(13, 13, RGB(9, 9, 9)), expected(13, 13, RGB(9, 9, 9));
    EXPECT_EQ(CSize(13, 13), m_pTheme->DrawCheckBoxMark(drawn.DC(), CRect(0, 0, 13, 13), TRUE, FALSE, FALSE, 2, TRUE));
    CRect rc(0, 0, 13, 13);
    ::DrawFrameControl(expected.Handle(), &rc, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED | DFCS_INACTIVE);
    for (int y = 0; y < 13; y++)
        for (int x = 0; x < 13; x++)
            ASSERT_EQ(expected.Pixel(x, y), drawn.Pixel(x, y)) << x << "," << y;
    EXPECT_EQ(CSize(13, 13), m_pTheme->DrawRadioButtonMark(NULL, rc, FALSE, TRUE, TRUE, 1, FALSE));
}

TEST_F(DefaultThemeTest, CustomiseListRowsMeasureWithoutADeviceContext)
{
    m_pTheme->RefreshMetrics();
    CSize szRow(std::max(20, m_pTheme->m_nTextHeight), std::max(20, m_pTheme->m_nTextHeight));
    EXPECT_EQ(szRow, m_pTheme->DrawListBoxControl(NULL, NULL, CRect(0, 0, 0, 0), FALSE, FALSE, NULL));

    Canvas canvas(100, 30, RGB(9, 9, 9));
    EXPECT_EQ(szRow, m_pTheme->DrawListBoxControl(canvas.DC(), NULL, CRect(0, 0, 100, 30), FALSE, TRUE, NULL));
    EXPECT_EQ(m_pTheme->GetColor(15), canvas.Pixel(50, 15)) << "without a control the row is only filled";
}

TEST_F(DefaultThemeTest, DisabledIconsAreEmbossed)
{
    m_pTheme->RefreshMetrics();
    testsupport::RegisterSceneIcons();
    CXTPImageManagerIcon* pIcon = XTPImageManager()->GetImage(testsupport::idShade, 16);
    ASSERT_NE(nullptr, pIcon);
    Canvas canvas(30, 30, RGB(9, 9, 9));
    m_pTheme->DrawImage(canvas.DC(), CPoint(10, 10), CSize(16, 16), pIcon, FALSE, FALSE, FALSE, FALSE, FALSE, TRUE);
    EXPECT_EQ(m_pTheme->GetColor(16), canvas.Pixel(11, 11)) << "the shadow copy at the point";
    EXPECT_EQ(m_pTheme->GetColor(20), canvas.Pixel(25, 25)) << "the highlight copy one pixel down and right";
}

TEST_F(DefaultThemeTest, DrawsEveryControlWithoutLeakingGdiObjects)
{
    std::pair<DWORD, DWORD> highWater = testsupport::GdiHighWaterAroundThousandDraws();
    EXPECT_EQ(highWater.first, highWater.second);
}

TEST_F(DefaultThemeTest, LooksLikeABarSet)
{
    EXPECT_TRUE(testsupport::SaveSceneSnapshot("default"));
}
