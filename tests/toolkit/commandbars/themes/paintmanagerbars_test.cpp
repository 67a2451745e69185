// The frame parts of bars the paint manager draws itself: floating titles,
// expand and hide buttons, status-bar panes, keyboard tips and the expanding
// animation of popup menus.
#include <gtest/gtest.h>

#include "XTPCommandBarKeyboardTip.h"
#include "XTPDefaultTheme.h"
#include "support/canvas.h"
#include "support/fakevisualstyles.h"
#include "support/themescene.h"

using testsupport::Canvas;
using XTPPaintThemes::CXTPDefaultTheme;

namespace
{
class BarsTest : public testsupport::InstalledThemeTest<CXTPDefaultTheme>
{
protected:
    void SetUp() override
    {
        InstalledThemeTest::SetUp();
        m_pBar = new CXTPToolBar();
        m_pBar->m_barPosition = xtpBarTop;
    }
    void TearDown() override
    {
        if (m_pBar->GetSafeHwnd() != NULL)
            m_pBar->DestroyWindow();
        m_pBar->InternalRelease();
        InstalledThemeTest::TearDown();
    }
    void CreateBarWindow(CRect rc)
    {
        m_pBar->CreateEx(WS_EX_TOOLWINDOW, AfxRegisterWndClass(0), _T("Colours"), WS_POPUP, rc, NULL, 0);
    }
    int Count(Canvas& canvas, COLORREF clr, CRect rc)
    {
        int n = 0;
        for (int y = rc.top; y < rc.bottom; y++)
            for (int x = rc.left; x < rc.right; x++)
                n += canvas.Pixel(x, y) == clr;
        return n;
    }

    CXTPToolBar* m_pBar = nullptr;
};
} // namespace

TEST_F(BarsTest, FloatingTitleStripIsAtLeast15PixelsHighAndDockedBarsHaveNone)
{
    CreateBarWindow(CRect(0, 0, 120, 60));
    EXPECT_EQ(CSize(0, 0), m_pTheme->CXTPPaintManager::DrawCommandBarGripper(NULL, m_pBar, FALSE));

    LOGFONT lf = {};
    lf.lfHeight = -3;
    lstrcpy(lf.lfFaceName, _T("Tahoma"));
    m_pTheme->m_fontSmCaption.SetCustomFontIndirect(&lf);
    m_pBar->m_barPosition = xtpBarFloating;
    Canvas canvas(120, 60, RGB(9, 9, 9));
    EXPECT_EQ(CSize(114, 15), m_pTheme->DrawCommandBarGripper(canvas.DC(), m_pBar, TRUE));
    EXPECT_EQ(m_pTheme->m_clrFloatingGripper.GetColor(), canvas.Pixel(3, 3));
    EXPECT_EQ(m_pTheme->m_clrFloatingGripper.GetColor(), canvas.Pixel(116, 17));
    EXPECT_EQ(RGB(9, 9, 9), canvas.Pixel(3, 18));
}

TEST_F(BarsTest, ExpandButtonsArePlacedAtTheEndOfTheBar)
{
    CXTPControl* pButton = m_pBar->GetControls()->Add(xtpControlButton, 1);
    CSize szBar(200, 26);
    m_pTheme->DrawExpandOrHideButton(NULL, 0, pButton, m_pBar, FALSE, &szBar);
    EXPECT_EQ(CRect(187, 2, 198, 24), pButton->GetRect());
    m_pBar->m_barPosition = xtpBarRight;
    szBar = CSize(26, 200);
    m_pTheme->DrawExpandOrHideButton(NULL, 0, pButton, m_pBar, FALSE, &szBar);
    EXPECT_EQ(CRect(2, 187, 24, 198), pButton->GetRect());
    EXPECT_EQ(CSize(0, 12), m_pTheme->DrawExpandOrHideButton(NULL, 1, pButton, m_pBar, FALSE, NULL));

    // With hidden controls the button shows two chevrons in the text colour.
    m_pBar->m_barPosition = xtpBarTop;
    pButton->SetRect(CRect(0, 0, 11, 22));
    m_pTheme->GetColorEntry(COLOR_BTNTEXT).SetCustomValue(RGB(200, 0, 0));
    Canvas plain(11, 22, RGB(9, 9, 9)), hidden(11, 22, RGB(9, 9, 9));
    int nHidden = 0;
    m_pTheme->DrawExpandOrHideButton(plain.DC(), 0, pButton, m_pBar, TRUE, &nHidden);
    nHidden = 1;
    m_pTheme->DrawExpandOrHideButton(hidden.DC(), 0, pButton, m_pBar, TRUE, &nHidden);
    CRect rcTop(0, 0, 11, 11);
    EXPECT_EQ(0, Count(plain, RGB(200, 0, 0), rcTop));
    EXPECT_GE(Count(hidden, RGB(200, 0, 0), rcTop), 16);
    EXPECT_EQ(Count(plain, RGB(200, 0, 0), CRect(0, 11, 11, 22)), Count(hidden, RGB(200, 0, 0), CRect(0, 11, 11, 22)))
        << "the triangle below";
}

TEST_F(BarsTest, StatusPanesDrawTheirIconTextAndBackground)
{
    testsupport::FakeVisualStyles classic(false);
    m_pTheme->RefreshMetrics();
    testsupport::RegisterSceneIcons();
    CXTPStatusBar statusBar;
    CXTPStatusBarPane pane;
    pane.m_pStatusBar = &statusBar;
    pane.m_strText = _T("Ready to play");
    pane.m_nIconId = testsupport::idMark;
    pane.m_fntText.CreatePointFont(80, _T("Tahoma"));
    pane.m_clrText = RGB(200, 0, 0);
    CRect rc(0, 0, 200, 22);

    // Enabled: icon at the left, then the text in the pane's colour.
    Canvas canvas(200, 22, RGB(9, 9, 9));
    m_pTheme->DrawStatusBarPaneEntry(canvas.DC(), rc, &pane);
    EXPECT_EQ(RGB(210, 40, 40), canvas.Pixel(2 + 7, 11)) << "the icon";
    EXPECT_GT(Count(canvas, RGB(200, 0, 0), CRect(20, 0, 200, 22)), 10) << "the text";

    // Disabled, without disabled text: the icon stays, the text goes.
    pane.m_nStyle = SBPS_DISABLED;
    canvas.Fill(RGB(9, 9, 9));
    m_pTheme->DrawStatusBarPaneEntry(canvas.DC(), rc, &pane);
    EXPECT_NE(RGB(9, 9, 9), canvas.Pixel(2 + 7, 11));
    EXPECT_EQ(0, Count(canvas, m_pTheme->GetColor(COLOR_GRAYTEXT), CRect(20, 0, 200, 22)));
    statusBar.SetDrawDisabledText(TRUE);
    m_pTheme->DrawStatusBarPaneEntry(canvas.DC(), rc, &pane);
    EXPECT_GT(Count(canvas, m_pTheme->GetColor(COLOR_GRAYTEXT), CRect(20, 0, 200, 22)), 10);

    // A background colour fills inside the border, or to the edges without one.
    pane.m_nStyle = 0;
    pane.m_nIconId = -1;
    pane.m_strText.Empty();
    pane.m_clrBackground = RGB(0, 0, 200);
    canvas.Fill(RGB(9, 9, 9));
    m_pTheme->DrawStatusBarPaneEntry(canvas.DC(), rc, &pane);
    EXPECT_EQ(RGB(9, 9, 9), canvas.Pixel(0, 0));
    EXPECT_EQ(RGB(0, 0, 200), canvas.Pixel(1, 1));
    pane.m_nStyle = SBPS_NOBORDERS;
    m_pTheme->DrawStatusBarPaneEntry(canvas.DC(), rc, &pane);
    EXPECT_EQ(RGB(0, 0, 200), canvas.Pixel(0, 0));
}

TEST_F(BarsTest, RightAlignedPaneNarrowerThanItsTextKeepsItsLeftEdge)
{
    CXTPStatusBar statusBar;
    CXTPStatusBarPane pane;
    pane.m_pStatusBar = &statusBar;
    pane.m_fntText.CreatePointFont(80, _T("Tahoma"));
    pane.m_clrText = RGB(200, 0, 0);
    pane.m_nAlignment = 2;
    pane.m_strText = _T("WWWWWWWWWWWW");
    Canvas canvas(100, 22, RGB(9, 9, 9));
    m_pTheme->DrawStatusBarPaneEntry(canvas.DC(), CRect(0, 0, 40, 22), &pane);
    EXPECT_GT(Count(canvas, RGB(200, 0, 0), CRect(0, 0, 8, 22)), 0) << "the text starts at the left";

    pane.m_strText = _T("I");
    canvas.Fill(RGB(9, 9, 9));
    m_pTheme->DrawStatusBarPaneEntry(canvas.DC(), CRect(0, 0, 60, 22), &pane);
    EXPECT_EQ(0, Count(canvas, RGB(200, 0, 0), CRect(0, 0, 40, 22))) << "a short text moves right";
}

TEST_F(BarsTest, KeyboardTipsOnInfoColoursAndGreyWhenDisabled)
{
    CXTPCommandBarKeyboardTip tip(NULL, NULL, _T("W"), CPoint(0, 0), 0, FALSE);
    tip.CreateEx(WS_EX_TOOLWINDOW, AfxRegisterWndClass(0), _T(""), WS_POPUP, CRect(0, 0, 24, 18), NULL, 0);
    Canvas canvas(24, 18, RGB(9, 9, 9));
    m_pTheme->DrawKeyboardTip(canvas.DC(), &tip, TRUE);
    EXPECT_EQ(RGB(9, 9, 9), canvas.Pixel(12, 9)) << "asked for a region only, nothing is drawn";
    m_pTheme->DrawKeyboardTip(canvas.DC(), &tip, FALSE);
    EXPECT_EQ(::GetSysColor(COLOR_BTNSHADOW), canvas.Pixel(0, 0));
    EXPECT_EQ(m_pTheme->GetColor(COLOR_INFOBK), canvas.Pixel(2, 2));
    EXPECT_GT(Count(canvas, m_pTheme->GetColor(COLOR_GRAYTEXT), CRect(1, 1, 23, 17)), 3);
    tip.DestroyWindow();
}

TEST_F(BarsTest, ExpandingAnimationEndsWithTheWholeMenu)
{
    testsupport::ThemeScene scene;
    Canvas picture(testsupport::ThemeScene::kWidth, testsupport::ThemeScene::kHeight);
    scene.Layout(picture.DC());
    CXTPPopupBar* pPopup = scene.m_pPopupBar;
    pPopup->GetControls()->GetAt(4)->SetExpanded(TRUE);
    pPopup->GetControls()->GetAt(5)->SetExpanded(TRUE);
    CRect rcPopup = scene.m_rcPopup;
    Canvas source(rcPopup.Width(), rcPopup.Height(), RGB(9, 9, 9));
    testsupport::ThemeScene::PaintBar(source.DC(), pPopup, CPoint(0, 0));

    m_pTheme->m_nAnimationTime = 0;
    for (BOOL bFromTop : { TRUE, FALSE })
    {
        Canvas dest(rcPopup.Width(), rcPopup.Height(), RGB(1, 1, 1));
        m_pTheme->AnimateExpanding(pPopup, dest.DC(), source.DC(), bFromTop);
        for (int y = 0; y < rcPopup.Height(); y++)
            ASSERT_EQ(source.Pixel(rcPopup.Width() / 2, y), dest.Pixel(rcPopup.Width() / 2, y)) << y;
    }
}

TEST(GlassTest, MakeRectOpaqueSetsTheAlphaOfTheRectangleOnly)
{
    Canvas canvas(20, 10, RGB(10, 20, 30), 32);
    CXTPPaintManager::MakeRectOpaque(canvas.DC(), CRect(5, 2, 15, 8));
    EXPECT_EQ(255, canvas.Alpha(5, 2));
    EXPECT_EQ(255, canvas.Alpha(14, 7));
    EXPECT_EQ(RGB(10, 20, 30), canvas.Pixel(10, 5));
    EXPECT_EQ(0, canvas.Alpha(4, 2));
    EXPECT_EQ(0, canvas.Alpha(15, 8));
}
