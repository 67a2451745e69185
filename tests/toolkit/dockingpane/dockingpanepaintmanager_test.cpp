// The docking-pane paint manager: colours by index, caption fonts and
// heights, the tab strip height, caption buttons (layout, disabled glyphs,
// hover and the press loop) and the themes' own rules.
#include "support/dockingframe.h"
#include "support/wndtest.h"
#include "support/pump.h"

#include <XTPDockingPanePaintThemes.h>

#include <gtest/gtest.h>

using testsupport::CDockingTestFrame;

namespace
{
::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new testsupport::Environment);

// Holds a theme and releases it.
template <class T>
struct Theme
{
    Theme() : p(new T())
    {
        p->RefreshMetrics();
    }
    ~Theme() { p->InternalRelease(); }
    T* operator->() const { return p; }
    T* p;
};

int SpaceHeight(CFont* pFont)
{
    CWindowDC dc(NULL);
    CFont* pOld = dc.SelectObject(pFont);
    int cy = dc.GetTextExtent(CString(" ")).cy;
    dc.SelectObject(pOld);
    return cy;
}

TEST(DockingPaintManager, ColourIndexesAboveTheTableAreRgbValues)
{
    Theme<CXTPDockingPaneDefaultTheme> theme;
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), theme->GetColor(COLOR_BTNFACE));
    EXPECT_EQ(RGB(10, 20, 30), theme->GetColor(RGB(10, 20, 30)));
    const int indices[2] = { 5, 40 };
    const COLORREF values[2] = { RGB(1, 1, 1), RGB(2, 2, 2) };
    theme->SetColors(2, indices, values);
    EXPECT_EQ(RGB(1, 1, 1), theme->GetColor(5));
    EXPECT_EQ(RGB(2, 2, 2), theme->GetColor(40));
}

TEST(DockingPaintManager, CaptionFontsAndHeights)
{
    Theme<CXTPDockingPaneDefaultTheme> theme;
    LOGFONT lf = {};
    lf.lfHeight = -8;
    lstrcpy(lf.lfFaceName, "Tahoma");
    theme->SetCaptionFont(&lf, TRUE);
    LOGFONT lfTitle, lfVertical;
    theme->GetCaptionFont()->GetLogFont(&lfTitle);
    theme->GetVerticalCaptionFont()->GetLogFont(&lfVertical);
    EXPECT_EQ(-8, lfTitle.lfHeight);
    EXPECT_EQ(-11, lfVertical.lfHeight);
    EXPECT_EQ(900, lfVertical.lfEscapement);
    EXPECT_EQ(5 + std::max(13, SpaceHeight(theme->GetCaptionFont())), theme->GetCaptionHeight());

    lf.lfHeight = -2;
    theme->SetCaptionFont(&lf, TRUE);
    EXPECT_EQ(5 + 13, theme->GetCaptionHeight());

    theme->RefreshMetrics();
    EXPECT_EQ(std::max(24, SpaceHeight(theme->GetPanelPaintManager()->GetFont()) + 10), theme->GetTabsHeight());
    EXPECT_GE(theme->GetTabsHeight(), 24);
}

TEST(DockingPaintManager, TheShortcutBarThemeKeepsItsLargeCaptionFont)
{
    Theme<CXTPDockingPaneShortcutBar2003Theme> theme;
    for (int i = 0; i < 2; i++)
    {
        LOGFONT lf;
        theme->GetCaptionFont()->GetLogFont(&lf);
        EXPECT_EQ(20, lf.lfHeight);
        EXPECT_STREQ("Arial", lf.lfFaceName);
        EXPECT_EQ(FW_BOLD, lf.lfWeight);
        theme->RefreshMetrics();
    }
}

TEST(DockingPaintManager, TheOffice2003ThemeTakesTheLunaPaletteOfTheScheme)
{
    Theme<CXTPDockingPaneOffice2003Theme> theme;
    EXPECT_FALSE(theme->m_bLunaColors);   // no scheme is detected here
    COLORREF clrGripper = theme->GetColor(XPCOLOR_TOOLBAR_GRIPPER);
    theme->m_nLunaColorMode = xtpSystemThemeBlue;
    theme->RefreshMetrics();
    EXPECT_TRUE(theme->m_bLunaColors);
    EXPECT_EQ(RGB(39, 65, 118), theme->GetColor(XPCOLOR_TOOLBAR_GRIPPER));
    EXPECT_EQ(RGB(216, 231, 252), (COLORREF)theme->m_clrSplitterFace);
    EXPECT_EQ(clrGripper, (COLORREF)theme->m_clrSplitter);
    EXPECT_EQ(RGB(221, 236, 254), (COLORREF)theme->m_clrNormalCaption.clrLight);
    EXPECT_EQ(RGB(255, 213, 140), (COLORREF)theme->m_clrActiveCaption.clrLight);
    theme->m_nLunaColorMode = xtpSystemThemeOlive;
    theme->RefreshMetrics();
    EXPECT_EQ(RGB(81, 94, 51), theme->GetColor(XPCOLOR_TOOLBAR_GRIPPER));
}

class CaptionButtonTest : public testsupport::DockingFrameTest
{
protected:
    void SetUp() override
    {
        CreateFrame(CSize(500, 400));
        pPane = manager().CreatePane(1, CRect(0, 0, 200, 100), xtpPaneDockLeft);
        Layout();
        pContainer = (CXTPDockingPaneTabbedContainer*)pPane->GetContainer();
    }
    // Draws the caption and answers the Close button's centre.
    CPoint DrawCaption(testsupport::Canvas& canvas)
    {
        CRect rc;
        pContainer->CWnd::GetClientRect(&rc);
        pFrame->m_paneManager.GetPaintManager()->DrawPane(canvas.DC(), pContainer, rc);
        CRect rcClose = pContainer->GetCaptionButtons()->Find(XTP_IDS_DOCKINGPANE_CLOSE)->GetRect();
        return CPoint((rcClose.left + rcClose.right) / 2, (rcClose.top + rcClose.bottom) / 2);
    }

    CXTPDockingPane* pPane = NULL;
    CXTPDockingPaneTabbedContainer* pContainer = NULL;
};

TEST_F(CaptionButtonTest, ButtonsAreLaidFromTheEndAndFromTheBottomOnAVerticalCaption)
{
    Theme<CXTPDockingPaneDefaultTheme> theme;
    testsupport::Canvas canvas(200, 200);
    CRect rcCaption(0, 0, 200, 20);
    theme->DrawCaptionButtons(canvas.DC(), pContainer->GetCaptionButtons(), rcCaption, 0, 14, 2, FALSE);
    CRect rcClose = pContainer->GetCaptionButtons()->Find(XTP_IDS_DOCKINGPANE_CLOSE)->GetRect();
    CRect rcPin = pContainer->GetCaptionButtons()->Find(XTP_IDS_DOCKINGPANE_AUTOHIDE)->GetRect();
    EXPECT_EQ(CRect(186, 3, 200, 17), rcClose);
    EXPECT_EQ(CRect(170, 3, 184, 17), rcPin);
    EXPECT_EQ(168, rcCaption.right);   // the far edge of the next free slot
    EXPECT_TRUE(pContainer->GetCaptionButtons()->Find(XTP_IDS_DOCKINGPANE_MENU)->GetRect().IsRectEmpty());

    CRect rcVertical(0, 0, 20, 200);
    theme->DrawCaptionButtons(canvas.DC(), pContainer->GetCaptionButtons(), rcVertical, 0, 14, 2, TRUE);
    rcClose = pContainer->GetCaptionButtons()->Find(XTP_IDS_DOCKINGPANE_CLOSE)->GetRect();
    rcPin = pContainer->GetCaptionButtons()->Find(XTP_IDS_DOCKINGPANE_AUTOHIDE)->GetRect();
    EXPECT_EQ(200, rcClose.bottom);
    EXPECT_EQ(rcClose.top - 2, rcPin.bottom);
    EXPECT_EQ(rcPin.top - 2, rcVertical.bottom);
}

TEST_F(CaptionButtonTest, APaneWithoutActionsGreysItsButtonsWhichTakeNoHoverAndNoClick)
{
    pFrame->m_paneManager.SetTheme(xtpPaneThemeDefault);
    testsupport::Canvas canvas(500, 400);
    CPoint pt = DrawCaption(canvas);
    COLORREF clrEnabled = canvas.Pixel(pt.x - 4, pt.y - 4);
    EXPECT_EQ(::GetSysColor(COLOR_BTNTEXT), clrEnabled);

    pPane->SetEnabled(xtpPaneEnabled);
    canvas.Fill(RGB(255, 255, 255));
    pt = DrawCaption(canvas);
    EXPECT_EQ(::GetSysColor(COLOR_GRAYTEXT), canvas.Pixel(pt.x - 4, pt.y - 4));
    CXTPDockingPaneCaptionButton* pClose = pContainer->GetCaptionButtons()->Find(XTP_IDS_DOCKINGPANE_CLOSE);
    EXPECT_FALSE(pClose->CheckForMouseOver(pt));
    EXPECT_FALSE(pClose->IsHighlighted());
    pContainer->PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    pContainer->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    testsupport::PumpPending();
    EXPECT_FALSE(pPane->IsClosed());
}

TEST_F(CaptionButtonTest, APressCountsOnlyWhenReleasedOverTheButton)
{
    testsupport::Canvas canvas(500, 400);
    CPoint pt = DrawCaption(canvas);
    CXTPDockingPaneCaptionButton* pClose = pContainer->GetCaptionButtons()->Find(XTP_IDS_DOCKINGPANE_CLOSE);

    pContainer->PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(pt.x + 100, pt.y + 100));
    pContainer->PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x + 100, pt.y + 100));
    EXPECT_FALSE(pClose->Click(pContainer, pt));

    pContainer->PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(pt.x + 100, pt.y + 100));
    pContainer->PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    pContainer->PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    EXPECT_TRUE(pClose->Click(pContainer, pt));
    EXPECT_FALSE(pClose->IsPressed());

    pContainer->PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_FALSE(pClose->Click(pContainer, pt));
    EXPECT_EQ(NULL, ::GetCapture());
}

TEST_F(CaptionButtonTest, TheVisualStudio2005CloseGlyphOnAnInactiveCaptionTakesTheInactiveTextColour)
{
    pFrame->m_paneManager.SetTheme(xtpPaneThemeVisualStudio2005);
    auto* pTheme = dynamic_cast<CXTPDockingPaneVisualStudio2005Theme*>(pFrame->m_paneManager.GetPaintManager());
    ASSERT_TRUE(pTheme != NULL);
    pTheme->m_clrNormalCaptionText.SetCustomValue(RGB(200, 0, 100));
    pContainer->SetActive(FALSE);
    testsupport::Canvas canvas(500, 400);
    CPoint pt = DrawCaption(canvas);
    EXPECT_EQ(RGB(200, 0, 100), canvas.Pixel(pt.x - 4, pt.y - 4));
}
} // namespace
