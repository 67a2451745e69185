// The native visual-styles theme: with the styles forced on, the classes,
// parts and states it asks the system to draw; with them off, the classic
// theme's pixels, operation by operation; a split button with its caption
// below its icon met with the real pointer.
// ctest: run-serial
#include <gtest/gtest.h>

#include "XTPControlButton.h"
#include "XTPControlPopup.h"
#include "XTPNativeXPTheme.h"
#include "XTPPopupBar.h"
#include "support/bars_frame.h"
#include "support/canvas.h"
#include "support/fakevisualstyles.h"
#include "support/mouseinput.h"
#include "support/pump.h"
#include "support/snapshot.h"
#include "support/themescene.h"

using XTPPaintThemes::CXTPDefaultTheme;
using XTPPaintThemes::CXTPNativeXPTheme;
using testsupport::Canvas;
using testsupport::FakeVisualStyles;
using testsupport::ThemePartDrawn;

namespace
{
class NativeXPTest : public testsupport::InstalledThemeTest<CXTPNativeXPTheme>
{
protected:
    // Opens the styles through the fakes (a refresh) and forgets what was drawn.
    void Refresh()
    {
        m_pTheme->RefreshMetrics();
        FakeVisualStyles::Drawn().clear();
    }
    // The fake handles must not reach the real library.
    void CloseThemes()
    {
        for (CXTPWinThemeWrapper* pTheme : { &m_pTheme->m_themeRebar, &m_pTheme->m_themeToolbar,
                                             &m_pTheme->m_themeComboBox, &m_pTheme->m_themeWindow,
                                             &m_pTheme->m_themeSpin, &m_pTheme->m_themeStatusBar,
                                             &m_pTheme->m_themeButton })
            pTheme->CloseThemeData();
    }
    static const std::vector<ThemePartDrawn>& Drawn() { return FakeVisualStyles::Drawn(); }
    static bool WasDrawn(const wchar_t* pszClass, int nPart, int nState, CRect rc)
    {
        for (const ThemePartDrawn& part : Drawn())
            if (part.strClass == pszClass && part.nPart == nPart && part.nState == nState && CRect(part.rc) == rc)
                return true;
        return false;
    }
};

template <class T>
T* MakeWindow(T* pWnd, CRect rc, DWORD dwStyle = WS_POPUP)
{
    pWnd->CreateEx(WS_EX_TOOLWINDOW, AfxRegisterWndClass(0), _T(""), dwStyle, rc, NULL, 0);
    return pWnd;
}

void ReleaseBar(CXTPCommandBar* pBar)
{
    pBar->DestroyWindow();
    pBar->InternalRelease();
}
} // namespace

TEST_F(NativeXPTest, ConstructionAndTheThemedTest)
{
    EXPECT_EQ(xtpThemeNativeWinXP, m_pTheme->BaseTheme());
    EXPECT_EQ(COLOR_MENUTEXT, m_pTheme->m_nMenuTextColor);
    EXPECT_TRUE(m_pTheme->GetIconsInfo()->bUseFadedIcons);
    EXPECT_FALSE(m_pTheme->GetIconsInfo()->bIconsWithShadow);
    EXPECT_TRUE(m_pTheme->m_bThemedStatusBar);
    EXPECT_TRUE(m_pTheme->m_bThemedCheckBox);
    {
        FakeVisualStyles classic(false);
        Refresh();
        EXPECT_FALSE(m_pTheme->IsThemed());
    }
    FakeVisualStyles styles;
    Refresh();
    EXPECT_TRUE(m_pTheme->IsThemed());
    m_pTheme->m_themeToolbar.CloseThemeData();
    EXPECT_FALSE(m_pTheme->IsThemed()) << "both rebar and toolbar are needed";
    CloseThemes();
}

TEST_F(NativeXPTest, RefreshReadsTheStyleColoursAndTheFlatMenuSetting)
{
    {
        FakeVisualStyles classic(false);
        Refresh();
        EXPECT_EQ(m_pTheme->GetColor(COLOR_3DSHADOW), m_pTheme->m_clrEdgeShadowColor);
        EXPECT_EQ(m_pTheme->GetColor(COLOR_BTNHIGHLIGHT), m_pTheme->m_clrEdgeHighLightColor);
        EXPECT_EQ(::GetSysColor(COLOR_BTNTEXT), m_pTheme->GetColor(COLOR_BTNTEXT));
    }
    FakeVisualStyles styles;
    Refresh();
    // The fakes answer every colour with (1, 2, 3).
    EXPECT_EQ(RGB(1, 2, 3), m_pTheme->m_clrEdgeShadowColor);
    EXPECT_EQ(RGB(1, 2, 3), m_pTheme->m_clrEdgeHighLightColor);
    EXPECT_EQ(RGB(1, 2, 3), m_pTheme->GetColor(COLOR_BTNTEXT)) << "the toolbar's text colour";

    BOOL bSystemFlat = FALSE;
    BOOL bAnswered = ::SystemParametersInfo(0x1022, 0, &bSystemFlat, 0);
    EXPECT_EQ(bAnswered && bSystemFlat, m_pTheme->IsFlatMenus()) << "the fakes' own flag is off";
    if (!m_pTheme->IsFlatMenus())
    {
        EXPECT_EQ(m_pTheme->GetColor(COLOR_HIGHLIGHT), m_pTheme->GetColor(COLOR_MENUHILIGHT));
    }
    CloseThemes();
}

TEST_F(NativeXPTest, ButtonStatesFollowTheTable)
{
    FakeVisualStyles styles;
    Refresh();
    struct Case
    {
        BOOL bSelected, bPressed, bEnabled, bChecked, bPopuped;
        int nState;
    };
    const Case cases[] = {
        { FALSE, FALSE, FALSE, TRUE, FALSE, 3 },  // disabled and checked
        { TRUE, FALSE, FALSE, FALSE, FALSE, 4 },  // disabled
        { FALSE, FALSE, TRUE, FALSE, TRUE, 3 },   // popped up
        { TRUE, FALSE, TRUE, TRUE, FALSE, 6 },    // checked and hot
        { FALSE, FALSE, TRUE, TRUE, FALSE, 5 },   // checked
        { TRUE, FALSE, TRUE, 2, FALSE, 2 },       // indeterminate counts as not checked
        { FALSE, FALSE, TRUE, 2, FALSE, 1 },
        { FALSE, 2, TRUE, FALSE, FALSE, 3 },      // pressed from the keyboard
        { TRUE, TRUE, TRUE, FALSE, FALSE, 3 },    // selected and pressed
        { TRUE, TRUE, TRUE, TRUE, FALSE, 3 },     // checked but pressed
        { TRUE, FALSE, TRUE, FALSE, FALSE, 2 },   // hot
        { FALSE, TRUE, TRUE, FALSE, FALSE, 1 },   // pressed without the mouse over it
        { FALSE, FALSE, TRUE, FALSE, FALSE, 1 },  // normal
    };
    Canvas canvas(30, 30, RGB(9, 9, 9));
    for (const Case& c : cases)
    {
        FakeVisualStyles::Drawn().clear();
        m_pTheme->DrawRectangle(canvas.DC(), CRect(1, 2, 24, 24), c.bSelected, c.bPressed, c.bEnabled, c.bChecked,
                                c.bPopuped, xtpBarTypeNormal, xtpBarTop);
        ASSERT_EQ(1u, Drawn().size());
        EXPECT_EQ(L"TOOLBAR", Drawn()[0].strClass);
        EXPECT_EQ(1, Drawn()[0].nPart);
        EXPECT_EQ(c.nState, Drawn()[0].nState) << c.bSelected << c.bPressed << c.bEnabled << c.bChecked
                                               << c.bPopuped;
        EXPECT_EQ(CRect(1, 2, 24, 24), CRect(Drawn()[0].rc));
    }

    // Popup bars: nothing unless hot, then a highlight box, no style.
    FakeVisualStyles::Drawn().clear();
    m_pTheme->DrawRectangle(canvas.DC(), CRect(0, 0, 30, 30), FALSE, FALSE, TRUE, FALSE, FALSE, xtpBarTypePopup,
                            xtpBarPopup);
    EXPECT_EQ(RGB(9, 9, 9), canvas.Pixel(15, 15));
    m_pTheme->DrawRectangle(canvas.DC(), CRect(0, 0, 30, 30), TRUE, FALSE, TRUE, FALSE, FALSE, xtpBarTypePopup,
                            xtpBarPopup);
    EXPECT_TRUE(Drawn().empty());
    EXPECT_EQ(m_pTheme->GetColor(COLOR_HIGHLIGHT), canvas.Pixel(0, 0));
    EXPECT_EQ(m_pTheme->GetColor(COLOR_MENUHILIGHT), canvas.Pixel(15, 15));
    CloseThemes();
}

TEST_F(NativeXPTest, SplitButtonWithEnabledValueThreeHasADisabledDropDownOnly)
{
    FakeVisualStyles styles;
    Refresh();
    CXTPControlButton* pButton = new CXTPControlButton();
    pButton->m_bEnabled = 3;
    Canvas canvas(60, 30);
    m_pTheme->DrawSplitButtonFrame(canvas.DC(), pButton, CRect(0, 0, 40, 22));
    ASSERT_EQ(2u, Drawn().size());
    EXPECT_TRUE(WasDrawn(L"TOOLBAR", 3, 1, CRect(0, 0, 28, 22)));
    EXPECT_TRUE(WasDrawn(L"TOOLBAR", 4, 4, CRect(28, 0, 40, 22)));

    FakeVisualStyles::Drawn().clear();
    pButton->m_bEnabled = 1;
    pButton->m_nSelected = 1;
    pButton->m_nPressed = 1;
    m_pTheme->DrawSplitButtonFrame(canvas.DC(), pButton, CRect(0, 0, 40, 22));
    EXPECT_TRUE(WasDrawn(L"TOOLBAR", 3, 3, CRect(0, 0, 28, 22)));
    EXPECT_TRUE(WasDrawn(L"TOOLBAR", 4, 3, CRect(28, 0, 40, 22)));
    pButton->InternalRelease();
    CloseThemes();
}

// With the caption below the icon the drop-down part is the caption strip
// at the bottom (at the left on a vertical bar), as the hit test has it; it
// is drawn as a plain button part, since the caption draws the one arrow.
TEST_F(NativeXPTest, SplitButtonWithTheCaptionBelowHasItsDropDownUnderTheIcon)
{
    FakeVisualStyles styles;
    Refresh();
    CXTPControlPopup* pButton = CXTPControlPopup::CreateControlPopup(xtpControlSplitButtonPopup);
    pButton->SetStyle(xtpButtonIconAndCaptionBelow);
    const int nStrip = 2 * m_pTheme->m_nTextHeight - 17;
    ASSERT_GT(nStrip, 0);
    Canvas canvas(80, 80);
    const CRect rc(0, 0, 44, 66);
    m_pTheme->DrawSplitButtonFrame(canvas.DC(), pButton, rc);
    ASSERT_EQ(2u, Drawn().size());
    EXPECT_TRUE(WasDrawn(L"TOOLBAR", 3, 1, CRect(0, 0, 44, 66 - nStrip)));
    EXPECT_TRUE(WasDrawn(L"TOOLBAR", 1, 1, CRect(0, 66 - nStrip, 44, 66)));
    for (const ThemePartDrawn& part : Drawn())
        EXPECT_NE(4, part.nPart) << "no drop-down arrow part beside the caption's own";

    // The drop-down part drawn is the one the hit test leaves to the popup.
    pButton->SetRect(rc);
    CRect rcCommand = m_pTheme->GetSplitButtonCommandRect(pButton);
    EXPECT_EQ(CRect(0, 0, 44, 66 - nStrip), rcCommand);

    // Popped up: the strip pressed; disabled drop-down (enabled value 3).
    FakeVisualStyles::Drawn().clear();
    pButton->m_bPopup = TRUE;
    m_pTheme->DrawSplitButtonFrame(canvas.DC(), pButton, rc);
    EXPECT_TRUE(WasDrawn(L"TOOLBAR", 1, 3, CRect(0, 66 - nStrip, 44, 66)));
    FakeVisualStyles::Drawn().clear();
    pButton->m_bPopup = FALSE;
    pButton->m_bEnabled = 3;
    m_pTheme->DrawSplitButtonFrame(canvas.DC(), pButton, rc);
    EXPECT_TRUE(WasDrawn(L"TOOLBAR", 1, 4, CRect(0, 66 - nStrip, 44, 66)));
    pButton->InternalRelease();
    CloseThemes();
}

namespace
{
void SettleInput()
{
    for (int i = 0; i < 10; i++)
    {
        testsupport::PumpPending();
        ::Sleep(10);
    }
}

void ClickAt(CPoint pt)
{
    using testsupport::MouseInput;
    const DWORD dwAt = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    testsupport::SendInputs({MouseInput(dwAt, CPoint(pt.x - 1, pt.y)), MouseInput(dwAt, pt)});
    SettleInput();
    testsupport::SendInputs({MouseInput(dwAt | MOUSEEVENTF_LEFTDOWN, pt), MouseInput(dwAt | MOUSEEVENTF_LEFTUP, pt)});
    SettleInput();
}
} // namespace

// On a bar, a real click on the caption strip of a split button with its
// caption below its icon opens its menu; a click above it, the right edge
// included, runs its command.
TEST_F(NativeXPTest, AClickOnTheCaptionStripOfALargeSplitButtonOpensItsMenu)
{
    FakeVisualStyles styles;
    Refresh();
    testsupport::CBarsFrame* pFrame = testsupport::CBarsFrame::Create(CRect(40, 40, 440, 340));
    ASSERT_TRUE(pFrame != NULL);
    CXTPToolBar* pBar = pFrame->AddToolBar("Split", {{101, "Go"}});
    CXTPControlPopup* pSplit = (CXTPControlPopup*)pBar->GetControls()->Add(xtpControlSplitButtonPopup, 500);
    pSplit->SetCaption("Split Button");
    pSplit->SetStyle(xtpButtonIconAndCaptionBelow);
    CXTPPopupBar* pPopup = CXTPPopupBar::CreatePopupBar(pFrame->GetCommandBars());
    pPopup->GetControls()->Add(xtpControlButton, 501)->SetCaption("Other");
    pSplit->SetCommandBar(pPopup);
    pPopup->InternalRelease();
    pFrame->RecalcLayout();
    pFrame->SetForegroundWindow();
    SettleInput();

    const CRect rc = pSplit->GetRect();
    const CRect rcCommand = m_pTheme->GetSplitButtonCommandRect(pSplit);
    ASSERT_LT(rcCommand.bottom, rc.bottom) << "the caption strip is the drop-down";
    EXPECT_EQ(rc.right, rcCommand.right);

    // The caption strip: the menu opens, no command runs.
    CPoint ptStrip((rc.left + rc.right) / 2, (rcCommand.bottom + rc.bottom) / 2);
    pBar->ClientToScreen(&ptStrip);
    FakeVisualStyles::Drawn().clear();
    ClickAt(ptStrip);
    EXPECT_TRUE(pSplit->GetPopuped()) << "the click on the strip opened no menu";
    EXPECT_TRUE(pPopup->IsTrackingMode());
    EXPECT_TRUE(pFrame->m_arrCommands.empty());
    pBar->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    bool bStripPressed = false;
    for (const ThemePartDrawn& part : Drawn())
    {
        CRect rcPart(part.rc);
        if (part.strClass == L"TOOLBAR" && part.nPart == 1 && part.nState == 3 && rcPart.top == rcCommand.bottom &&
            rcPart.bottom == rc.bottom)
            bStripPressed = true;
        EXPECT_NE(4, part.nPart) << "an arrow part was drawn";
    }
    EXPECT_TRUE(bStripPressed) << "the open menu's strip is drawn pressed";
    XTPMouseManager()->CloseAllTracked();
    SettleInput();

    // Above the strip, in the middle and at the right edge where a drop-down
    // part once was drawn: the command runs.
    CPoint ptIcon = rcCommand.CenterPoint();
    CPoint ptRightEdge(rcCommand.right - 4, rcCommand.CenterPoint().y);
    pBar->ClientToScreen(&ptIcon);
    pBar->ClientToScreen(&ptRightEdge);
    ClickAt(ptIcon);
    ClickAt(ptRightEdge);
    EXPECT_EQ(std::vector<UINT>({500u, 500u}), pFrame->m_arrCommands);
    EXPECT_FALSE(pPopup->IsTrackingMode());

    // Without visual styles (the look seen here) the strip opens the menu too.
    {
        FakeVisualStyles classic(false);
        Refresh();
        pBar->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
        ClickAt(ptStrip);
        EXPECT_TRUE(pSplit->GetPopuped());
        EXPECT_FALSE(testsupport::SaveScreenSnapshot(pFrame->m_hWnd, "large_split_button_menu_open").empty());
        XTPMouseManager()->CloseAllTracked();
        SettleInput();
    }
    EXPECT_EQ(2u, pFrame->m_arrCommands.size());

    ::SetCursorPos(ptIcon.x + 300, ptIcon.y);
    SettleInput();
    pFrame->DestroyWindow();
    SettleInput();
    CloseThemes();
}

TEST_F(NativeXPTest, BarsDrawTheRebarTheFloatingFrameAndPopupBorders)
{
    FakeVisualStyles styles;
    Refresh();

    // Docked on top, not flat: rebar background, band, edge colours.
    CXTPToolBar* pToolBar = new CXTPToolBar();
    pToolBar->m_barPosition = xtpBarTop;
    MakeWindow(pToolBar, CRect(0, 0, 100, 26));
    m_pTheme->m_bFlatToolBar = FALSE;
    Canvas canvas(100, 60, RGB(9, 9, 9));
    m_pTheme->FillCommandBar(canvas.DC(), pToolBar);
    EXPECT_TRUE(WasDrawn(L"REBAR", 0, 0, CRect(0, 0, 100, 26)));
    EXPECT_TRUE(WasDrawn(L"REBAR", 3, 0, CRect(0, 0, 100, 26)));
    EXPECT_EQ(RGB(1, 2, 3), canvas.Pixel(0, 0)) << "the edge highlight";
    EXPECT_EQ(RGB(1, 2, 3), canvas.Pixel(99, 25)) << "the edge shadow";

    // Floating: the toolbar background and the window frame parts.
    FakeVisualStyles::Drawn().clear();
    pToolBar->m_barPosition = xtpBarFloating;
    m_pTheme->FillCommandBar(canvas.DC(), pToolBar);
    EXPECT_TRUE(WasDrawn(L"TOOLBAR", 0, 0, CRect(0, 0, 100, 26)));
    EXPECT_TRUE(WasDrawn(L"WINDOW", 10, 1, CRect(0, 0, 3, 26)));
    EXPECT_TRUE(WasDrawn(L"WINDOW", 11, 1, CRect(97, 0, 100, 26)));
    EXPECT_TRUE(WasDrawn(L"WINDOW", 12, 1, CRect(0, 23, 100, 26)));

    // The floating title strip and its size.
    FakeVisualStyles::Drawn().clear();
    CSize szTitle = m_pTheme->DrawCommandBarGripper(canvas.DC(), pToolBar, TRUE);
    EXPECT_EQ(100, szTitle.cx);
    EXPECT_GE(szTitle.cy, 15);
    ASSERT_EQ(1u, Drawn().size());
    EXPECT_EQ(L"WINDOW", Drawn()[0].strClass);
    EXPECT_EQ(2, Drawn()[0].nPart);
    EXPECT_EQ(szTitle.cy + 3, CRect(Drawn()[0].rc).Height());

    // Grippers of docked bars.
    FakeVisualStyles::Drawn().clear();
    pToolBar->m_barPosition = xtpBarTop;
    EXPECT_EQ(CSize(8, 0), m_pTheme->DrawCommandBarGripper(canvas.DC(), pToolBar, TRUE));
    EXPECT_TRUE(WasDrawn(L"REBAR", 1, 1, CRect(2, 0, 8, 26)));
    pToolBar->m_barPosition = xtpBarLeft;
    EXPECT_EQ(CSize(0, 8), m_pTheme->DrawCommandBarGripper(canvas.DC(), pToolBar, TRUE));
    EXPECT_TRUE(WasDrawn(L"REBAR", 2, 1, CRect(0, 2, 100, 8)));
    ReleaseBar(pToolBar);

    // Popup bars: flat menus frame colour 16 around colour 4; otherwise raised edges.
    CXTPPopupBar* pPopup = new CXTPPopupBar();
    MakeWindow(pPopup, CRect(0, 0, 50, 40));
    m_pTheme->m_bFlatMenus = TRUE;
    canvas.Fill(RGB(9, 9, 9));
    m_pTheme->FillCommandBar(canvas.DC(), pPopup);
    EXPECT_EQ(m_pTheme->GetColor(COLOR_3DSHADOW), canvas.Pixel(0, 0));
    EXPECT_EQ(m_pTheme->GetColor(COLOR_3DSHADOW), canvas.Pixel(49, 39));
    EXPECT_EQ(m_pTheme->GetColor(COLOR_MENU), canvas.Pixel(1, 1));
    m_pTheme->m_bFlatMenus = FALSE;
    m_pTheme->FillCommandBar(canvas.DC(), pPopup);
    EXPECT_EQ(m_pTheme->GetColor(COLOR_3DFACE), canvas.Pixel(0, 0));
    EXPECT_EQ(m_pTheme->GetColor(COLOR_3DDKSHADOW), canvas.Pixel(49, 39));
    EXPECT_EQ(m_pTheme->GetColor(COLOR_BTNHIGHLIGHT), canvas.Pixel(1, 1));
    EXPECT_EQ(m_pTheme->GetColor(COLOR_3DSHADOW), canvas.Pixel(48, 38));
    EXPECT_EQ(m_pTheme->GetColor(COLOR_MENU), canvas.Pixel(25, 20));

    // Exclusion rectangles of popup controls.
    CXTPControl* pItem = pPopup->GetControls()->Add(xtpControlButton, 1);
    CRect rc(10, 10, 50, 30);
    m_pTheme->AdjustExcludeRect(rc, pItem, FALSE);
    EXPECT_EQ(CRect(13, 7, 47, 33), rc);
    ReleaseBar(pPopup);
    CloseThemes();
}

TEST_F(NativeXPTest, SeparatorsComboAndSpinButtonsAndTheEditFrame)
{
    FakeVisualStyles styles;
    Refresh();
    testsupport::ThemeScene scene;
    Canvas canvas(testsupport::ThemeScene::kWidth, testsupport::ThemeScene::kHeight);
    scene.Layout(canvas.DC());

    CXTPControl* pControl = scene.m_pToolBar->GetControls()->GetAt(1);
    CRect C = pControl->GetRect(), R = pControl->GetRowRect();
    FakeVisualStyles::Drawn().clear();
    EXPECT_EQ(CSize(0, 0), m_pTheme->DrawCommandBarSeparator(canvas.DC(), scene.m_pToolBar, pControl, TRUE));
    EXPECT_TRUE(WasDrawn(L"TOOLBAR", 5, 0, CRect(C.left - 6, R.top, C.left, R.bottom)));
    pControl->SetWrap(TRUE);
    m_pTheme->DrawCommandBarSeparator(canvas.DC(), scene.m_pToolBar, pControl, TRUE);
    EXPECT_TRUE(WasDrawn(L"TOOLBAR", 6, 0, CRect(R.left + 4, R.top - 5, R.right, R.top)));
    pControl->SetWrap(FALSE);

    FakeVisualStyles::Drawn().clear();
    m_pTheme->DrawControlComboBoxButton(canvas.DC(), CRect(50, 10, 66, 30), TRUE, FALSE, TRUE);
    EXPECT_TRUE(WasDrawn(L"COMBOBOX", 1, 3, CRect(48, 11, 65, 29)));
    m_pTheme->DrawControlComboBoxButton(canvas.DC(), CRect(50, 10, 66, 30), FALSE, TRUE, TRUE);
    EXPECT_TRUE(WasDrawn(L"COMBOBOX", 1, 4, CRect(48, 11, 65, 29)));
    m_pTheme->DrawControlComboBoxButton(canvas.DC(), CRect(50, 10, 66, 30), TRUE, TRUE, FALSE);
    EXPECT_TRUE(WasDrawn(L"COMBOBOX", 1, 2, CRect(48, 11, 65, 29)));

    // The edit frame in the style's border colour.
    canvas.Fill(RGB(9, 9, 9));
    m_pTheme->DrawControlEditFrame(canvas.DC(), CRect(0, 0, 40, 20), TRUE, FALSE);
    EXPECT_EQ(RGB(1, 2, 3), canvas.Pixel(0, 0));
    EXPECT_EQ(RGB(1, 2, 3), canvas.Pixel(39, 19));
    EXPECT_EQ(RGB(9, 9, 9), canvas.Pixel(1, 1));

    // Spin buttons: hot up half pressed, normal down half; then disabled.
    CXTPControlEdit* pEdit = new CXTPControlEdit();
    pEdit->ShowSpinButtons();
    pEdit->SetRect(CRect(0, 0, 100, 22));
    CRect rcSpin = pEdit->GetSpinButtonsRect();
    ASSERT_FALSE(rcSpin.IsRectEmpty());
    int m = rcSpin.CenterPoint().y;
    pEdit->m_nSelected = 3;
    pEdit->m_nPressed = 3;
    FakeVisualStyles::Drawn().clear();
    m_pTheme->DrawEditSpinButtons(canvas.DC(), pEdit);
    EXPECT_TRUE(WasDrawn(L"SPIN", 1, 3, CRect(rcSpin.left, rcSpin.top, rcSpin.right, m)));
    EXPECT_TRUE(WasDrawn(L"SPIN", 2, 1, CRect(rcSpin.left, m, rcSpin.right, rcSpin.bottom)));
    pEdit->m_nSelected = 4;
    pEdit->m_nPressed = 0;
    m_pTheme->DrawEditSpinButtons(canvas.DC(), pEdit);
    EXPECT_TRUE(WasDrawn(L"SPIN", 2, 2, CRect(rcSpin.left, m, rcSpin.right, rcSpin.bottom)));
    pEdit->m_bEnabled = FALSE;
    m_pTheme->DrawEditSpinButtons(canvas.DC(), pEdit);
    EXPECT_TRUE(WasDrawn(L"SPIN", 1, 4, CRect(rcSpin.left, rcSpin.top, rcSpin.right, m)));
    EXPECT_TRUE(WasDrawn(L"SPIN", 2, 4, CRect(rcSpin.left, m, rcSpin.right, rcSpin.bottom)));
    pEdit->InternalRelease();
    CloseThemes();
}

TEST_F(NativeXPTest, HotItemOfAFlatMenuBarIsASolidHighlight)
{
    FakeVisualStyles styles;
    Refresh();
    m_pTheme->m_bFlatMenuBar = TRUE;
    testsupport::ThemeScene scene;
    Canvas canvas(testsupport::ThemeScene::kWidth, testsupport::ThemeScene::kHeight, RGB(9, 9, 9));
    scene.Layout(canvas.DC());

    CXTPControl* pItem = scene.m_pMenuBar->GetControls()->GetAt(0);
    pItem->m_nSelected = 1;
    m_pTheme->DrawControlEntry(canvas.DC(), pItem);
    CRect rc = pItem->GetRect();
    EXPECT_EQ(m_pTheme->GetColor(COLOR_HIGHLIGHT), canvas.Pixel(rc.left, rc.top));
    EXPECT_EQ(m_pTheme->GetColor(COLOR_HIGHLIGHT), canvas.Pixel(rc.right - 1, rc.bottom - 1));
    EXPECT_EQ(m_pTheme->GetColor(COLOR_HIGHLIGHTTEXT), m_pTheme->GetControlTextColor(pItem));

    canvas.Fill(RGB(9, 9, 9));
    pItem->m_nSelected = 0;
    FakeVisualStyles::Drawn().clear();
    m_pTheme->DrawControlEntry(canvas.DC(), pItem);
    EXPECT_EQ(RGB(9, 9, 9), canvas.Pixel(rc.left + 2, rc.top + 2));
    EXPECT_TRUE(Drawn().empty()) << "no background in the normal state";
    EXPECT_EQ(m_pTheme->CXTPPaintManager::GetControlTextColor(pItem), m_pTheme->GetControlTextColor(pItem));

    // Not flat: the base drawing (a toolbar button style).
    m_pTheme->m_bFlatMenuBar = FALSE;
    pItem->m_nSelected = 1;
    FakeVisualStyles::Drawn().clear();
    m_pTheme->DrawControlEntry(canvas.DC(), pItem);
    ASSERT_EQ(1u, Drawn().size());
    EXPECT_EQ(L"TOOLBAR", Drawn()[0].strClass);
    EXPECT_EQ(2, Drawn()[0].nState);
    CloseThemes();
}

// Without visual styles every operation draws what the classic theme
// draws: the whole bar set with every control in every state comes out
// pixel for pixel the same (the menu-text colour and faded icons aside).
TEST(NativeXPFallbackTest, WithoutVisualStylesItDrawsLikeTheClassicTheme)
{
    FakeVisualStyles classic(false);
    auto render = [](int nTheme, Canvas& canvas) {
        CXTPPaintManager::SetTheme(nTheme);
        if (nTheme == xtpThemeNativeWinXP)
        {
            CXTPNativeXPTheme* pTheme = static_cast<CXTPNativeXPTheme*>(XTPPaintManager());
            EXPECT_FALSE(pTheme->IsThemed());
            pTheme->GetIconsInfo()->bUseFadedIcons = FALSE;
            pTheme->m_nMenuTextColor = COLOR_BTNTEXT;
        }
        testsupport::ThemeScene scene;
        scene.Layout(canvas.DC());
        scene.DrawEveryControl(canvas.DC());
    };
    Canvas classicCanvas(testsupport::ThemeScene::kWidth, testsupport::ThemeScene::kHeight);
    Canvas nativeCanvas(testsupport::ThemeScene::kWidth, testsupport::ThemeScene::kHeight);
    render(xtpThemeDefault, classicCanvas);
    render(xtpThemeNativeWinXP, nativeCanvas);
    int nDifferent = 0;
    for (int y = 0; y < classicCanvas.Height(); y++)
        for (int x = 0; x < classicCanvas.Width(); x++)
            nDifferent += classicCanvas.Pixel(x, y) != nativeCanvas.Pixel(x, y);
    EXPECT_EQ(0, nDifferent);
    CXTPPaintManager::SetTheme(xtpThemeDefault);
}

TEST_F(NativeXPTest, DrawsEveryControlWithoutLeakingGdiObjects)
{
    {
        FakeVisualStyles classic(false);
        Refresh();
        std::pair<DWORD, DWORD> highWater = testsupport::GdiHighWaterAroundThousandDraws();
        EXPECT_EQ(highWater.first, highWater.second);
    }
    FakeVisualStyles styles;
    Refresh();
    std::pair<DWORD, DWORD> highWater = testsupport::GdiHighWaterAroundThousandDraws();
    EXPECT_EQ(highWater.first, highWater.second);
    CloseThemes();
}

TEST_F(NativeXPTest, LooksLikeABarSetWithTheSystemsStyles)
{
    // Under this system no visual style is active: the look is the fallback.
    Refresh();
    EXPECT_TRUE(testsupport::SaveSceneSnapshot("nativexp"));
}
