// The flat Office theme: control states as tinted, framed rectangles, the
// floating frame, the popup join, labels, flat marks and icons, and its look.
#include <gtest/gtest.h>

#include "XTPOffice2003Theme.h"
#include "XTPOfficeTheme.h"
#include "support/canvas.h"
#include "support/fakevisualstyles.h"
#include "support/themescene.h"

using XTPPaintThemes::CXTPOffice2003Theme;
using XTPPaintThemes::CXTPOfficeTheme;
using testsupport::Canvas;

namespace
{
using OfficeTest = testsupport::InstalledThemeTest<CXTPOfficeTheme>;

// The fill (middle pixel) and frame (corner pixel) a state draws.
void ExpectBox(CXTPPaintManager* pTheme, Canvas& canvas, int nFill, int nFrame, BOOL bSelected, BOOL bChecked,
               int barType, int barPosition, const char* pszWhat)
{
    canvas.Fill(RGB(9, 9, 9));
    CRect rc(0, 0, canvas.Width(), canvas.Height());
    pTheme->DrawRectangle(canvas.DC(), rc, bSelected, FALSE, TRUE, bChecked, FALSE, barType, barPosition);
    EXPECT_EQ(pTheme->GetColor(nFill), canvas.Pixel(10, 10)) << pszWhat;
    EXPECT_EQ(pTheme->GetColor(nFrame), canvas.Pixel(0, 0)) << pszWhat;
    EXPECT_EQ(pTheme->GetColor(nFrame), canvas.Pixel(19, 19)) << pszWhat;
}
} // namespace

TEST(OfficeStatesTest, OfficeAndOffice2003WithoutLunaFillAndFrameControlStates)
{
    CXTPOffice2003Theme* pOffice2003 = new CXTPOffice2003Theme();
    pOffice2003->SetLunaTheme(xtpSystemThemeUnknown);
    CXTPPaintManager* themes[] = { new CXTPOfficeTheme(), pOffice2003 };
    for (CXTPPaintManager* pTheme : themes)
    {
        pTheme->RefreshMetrics();
        for (int nBits : { 24, 32 })
        {
            Canvas canvas(20, 20, RGB(9, 9, 9), nBits);
            ExpectBox(pTheme, canvas, 36, 37, FALSE, TRUE, xtpBarTypeNormal, xtpBarTop, "checked");
            ExpectBox(pTheme, canvas, 33, 50, TRUE, TRUE, xtpBarTypeNormal, xtpBarTop, "checked and hot");
            ExpectBox(pTheme, canvas, 31, 32, TRUE, FALSE, xtpBarTypeNormal, xtpBarTop, "hot");
            ExpectBox(pTheme, canvas, 51, 37, FALSE, 2, xtpBarTypePopup, xtpBarPopup, "indeterminate menu item");
        }
        pTheme->InternalRelease();
    }
}

TEST_F(OfficeTest, TextColoursFollowTheStates)
{
    m_pTheme->RefreshMetrics();
    EXPECT_EQ(m_pTheme->GetColor(45), m_pTheme->GetRectangleTextColor(TRUE, FALSE, TRUE, FALSE, FALSE, 2, 5));
    EXPECT_EQ(m_pTheme->GetColor(35), m_pTheme->GetRectangleTextColor(TRUE, FALSE, FALSE, FALSE, FALSE, 2, 5));
    EXPECT_EQ(m_pTheme->GetColor(60), m_pTheme->GetRectangleTextColor(FALSE, FALSE, FALSE, FALSE, FALSE, 1, 0));
    EXPECT_EQ(m_pTheme->GetColor(47), m_pTheme->GetRectangleTextColor(TRUE, TRUE, TRUE, FALSE, FALSE, 1, 0));
    EXPECT_EQ(m_pTheme->GetColor(45), m_pTheme->GetRectangleTextColor(FALSE, FALSE, TRUE, TRUE, FALSE, 1, 0));
    EXPECT_EQ(m_pTheme->GetColor(46), m_pTheme->GetRectangleTextColor(FALSE, FALSE, TRUE, FALSE, TRUE, 1, 0));
}

TEST_F(OfficeTest, FloatingToolBarHasATwoPixelBorderWithRoundedInnerCorners)
{
    CXTPToolBar* pBar = new CXTPToolBar();
    pBar->m_barPosition = xtpBarFloating;
    pBar->CreateEx(WS_EX_TOOLWINDOW, AfxRegisterWndClass(0), _T(""), WS_POPUP, CRect(0, 0, 60, 40), NULL, 0);
    Canvas canvas(60, 40, RGB(9, 9, 9));
    m_pTheme->FillCommandBar(canvas.DC(), pBar);
    COLORREF clrBorder = m_pTheme->GetColor(61);
    for (CPoint pt : { CPoint(0, 0), CPoint(1, 1), CPoint(58, 38), CPoint(2, 2), CPoint(57, 2), CPoint(2, 37),
                       CPoint(57, 37) })
        EXPECT_EQ(clrBorder, canvas.Pixel(pt.x, pt.y)) << pt.x << "," << pt.y;
    EXPECT_EQ(m_pTheme->GetColor(30), canvas.Pixel(30, 20)) << "a bar that is not flat";
    pBar->DestroyWindow();
    pBar->InternalRelease();
}

TEST_F(OfficeTest, PopupMenuOpensItsBorderTowardsTheMenuItem)
{
    testsupport::ThemeScene scene;
    Canvas canvas(testsupport::ThemeScene::kWidth, testsupport::ThemeScene::kHeight);
    scene.Layout(canvas.DC());
    scene.Paint(canvas.DC());

    CRect rcPopup = scene.m_rcPopup;
    CRect rcItem = scene.m_pViewPopup->GetRect();
    ASSERT_LT(rcItem.right, rcPopup.right);
    // The popup's top border: in the face colour under the item, else the border colour.
    EXPECT_EQ(m_pTheme->GetColor(30), canvas.Pixel(rcItem.CenterPoint().x, rcPopup.top));
    EXPECT_EQ(m_pTheme->GetColor(43), canvas.Pixel(rcItem.right + 10, rcPopup.top));
    EXPECT_EQ(m_pTheme->GetColor(43), canvas.Pixel(rcPopup.left, rcPopup.top + 20));
}

TEST_F(OfficeTest, LabelOnAPopupBarWithoutAGripperFillsTheWholeRow)
{
    CXTPPopupBar* pBar = new CXTPPopupBar();
    pBar->m_dwStyle &= ~XTP_CBRS_GRIPPER;
    CXTPControl* pLabel = pBar->GetControls()->Add(xtpControlLabel, 0);
    pLabel->SetCaption(_T("Recent"));
    pLabel->SetRect(CRect(2, 2, 150, 24));
    Canvas canvas(160, 30, RGB(9, 9, 9));
    m_pTheme->DrawControl(canvas.DC(), pLabel, TRUE);
    EXPECT_EQ(m_pTheme->GetColor(56), canvas.Pixel(3, 3));
    EXPECT_EQ(m_pTheme->GetColor(56), canvas.Pixel(149, 23));

    pBar->m_dwStyle |= XTP_CBRS_GRIPPER;
    canvas.Fill(RGB(9, 9, 9));
    m_pTheme->DrawControl(canvas.DC(), pLabel, TRUE);
    EXPECT_EQ(RGB(9, 9, 9), canvas.Pixel(3, 3)) << "beside a gripper the label leaves the icon column";
    EXPECT_EQ(m_pTheme->GetColor(56), canvas.Pixel(149, 23));
    pBar->InternalRelease();
}

TEST_F(OfficeTest, FlatCheckBoxMarksAndIcons)
{
    testsupport::FakeVisualStyles classic(false);
    m_pTheme->RefreshMetrics();
    Canvas canvas(13, 13, RGB(9, 9, 9));
    EXPECT_EQ(CSize(13, 13), m_pTheme->DrawCheckBoxMark(canvas.DC(), CRect(0, 0, 13, 13), TRUE, FALSE, FALSE, 1, TRUE));
    EXPECT_EQ(m_pTheme->GetColor(52), canvas.Pixel(0, 0));
    EXPECT_EQ(m_pTheme->GetColor(COLOR_BTNTEXT), canvas.Pixel(6, 7)) << "the mark";
    m_pTheme->DrawCheckBoxMark(canvas.DC(), CRect(0, 0, 13, 13), TRUE, FALSE, FALSE, 2, TRUE);
    EXPECT_EQ(m_pTheme->GetColor(35), canvas.Pixel(6, 7)) << "an indeterminate mark is grey";

    // A disabled classic icon with the disabled-icons option off: one shape
    // in colour 40 at the point, no highlight copy beside it.
    testsupport::RegisterSceneIcons();
    CXTPImageManagerIcon* pIcon = XTPImageManager()->GetImage(testsupport::idShade, 16);
    ASSERT_NE(nullptr, pIcon);
    m_pTheme->GetIconsInfo()->bUseDisabledIcons = FALSE;
    Canvas icon(30, 30, RGB(9, 9, 9));
    m_pTheme->DrawImage(icon.DC(), CPoint(10, 10), CSize(16, 16), pIcon, FALSE, FALSE, FALSE, FALSE, FALSE, TRUE);
    EXPECT_EQ(m_pTheme->GetColor(40), icon.Pixel(11, 11));
    EXPECT_EQ(RGB(9, 9, 9), icon.Pixel(25, 25));
}

TEST_F(OfficeTest, DrawsEveryControlWithoutLeakingGdiObjects)
{
    std::pair<DWORD, DWORD> highWater = testsupport::GdiHighWaterAroundThousandDraws();
    EXPECT_EQ(highWater.first, highWater.second);
}

TEST_F(OfficeTest, LooksLikeABarSet)
{
    EXPECT_TRUE(testsupport::SaveSceneSnapshot("office"));
}
