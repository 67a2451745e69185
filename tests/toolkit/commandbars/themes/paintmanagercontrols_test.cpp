// Drawing and measuring controls: the dispatcher, sizes of controls on tool
// bars and popup bars, combo boxes and edits, captions and their helpers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "XTPDCHelpers.h"
#include "XTPDefaultTheme.h"
#include "XTPOffice2003Theme.h"
#include "support/canvas.h"
#include "support/themescene.h"

using testsupport::Canvas;

namespace
{
// The default theme, recording which drawing operation each control reached.
class RecordingTheme : public XTPPaintThemes::CXTPDefaultTheme
{
public:
    CSize DrawPopupBarControl(CDC* pDC, CXTPControl* pButton, BOOL bDraw) override
    {
        m_calls.push_back("popup");
        return CXTPDefaultTheme::DrawPopupBarControl(pDC, pButton, bDraw);
    }
    CSize DrawToolBarControl(CDC* pDC, CXTPControl* pButton, BOOL bDraw) override
    {
        m_calls.push_back("toolbar");
        return CXTPDefaultTheme::DrawToolBarControl(pDC, pButton, bDraw);
    }
    CSize DrawControlComboBox(CDC* pDC, CXTPControlComboBox* pCombo, BOOL bDraw) override
    {
        m_calls.push_back("combo");
        return CXTPDefaultTheme::DrawControlComboBox(pDC, pCombo, bDraw);
    }
    CSize DrawControlEdit(CDC* pDC, CXTPControlEdit* pEdit, BOOL bDraw) override
    {
        m_calls.push_back("edit");
        return CXTPDefaultTheme::DrawControlEdit(pDC, pEdit, bDraw);
    }
    std::vector<std::string> m_calls;
};

// A tool bar and a popup bar (no windows) for a test, released at its end.
class ControlsTest : public testsupport::InstalledThemeTest<RecordingTheme>
{
protected:
    void SetUp() override
    {
        InstalledThemeTest::SetUp();
        m_pToolBar = new CXTPToolBar();
        m_pToolBar->m_barPosition = xtpBarTop;
        m_pToolBar->m_szButtons = CSize(23, 22);
        m_pPopupBar = new CXTPPopupBar();
        testsupport::RegisterSceneIcons();
    }
    void TearDown() override
    {
        m_pToolBar->InternalRelease();
        m_pPopupBar->InternalRelease();
        InstalledThemeTest::TearDown();
    }

    CXTPControl* Add(CXTPCommandBar* pBar, XTPControlType type, int nId, LPCTSTR lpszCaption)
    {
        CXTPControl* pControl = pBar->GetControls()->Add(type, nId);
        pControl->SetCaption(lpszCaption);
        return pControl;
    }
    CSize Measure(CXTPControl* pControl) { return m_pTheme->DrawControl(m_canvas.DC(), pControl, FALSE); }

    CXTPToolBar* m_pToolBar = nullptr;
    CXTPPopupBar* m_pPopupBar = nullptr;
    Canvas m_canvas{ 300, 60 };
};
} // namespace

TEST_F(ControlsTest, DispatcherSendsEachControlToItsOperation)
{
    CXTPControl* pCombo = m_pPopupBar->GetControls()->Add(new CXTPControlComboBox(), 1);
    CXTPControl* pEdit = m_pToolBar->GetControls()->Add(new CXTPControlEdit(), 2);
    CXTPControl* pItem = Add(m_pPopupBar, xtpControlButton, 3, _T("Item"));
    CXTPControl* pButton = Add(m_pToolBar, xtpControlButton, 4, _T("Button"));
    // A plain button that carries the combo box's type is no combo box.
    CXTPControl* pFake = Add(m_pToolBar, xtpControlButton, 5, _T("Fake"));
    pFake->SetType(xtpControlComboBox);
    for (CXTPControl* pControl : { pCombo, pEdit, pItem, pButton, pFake })
        Measure(pControl);
    std::vector<std::string> expected = { "combo", "edit", "popup", "toolbar", "toolbar" };
    EXPECT_EQ(expected, m_pTheme->m_calls);
    EXPECT_EQ(CSize(0, 0), Measure(pFake)) << "a combo box measures nothing on a tool bar";
}

TEST_F(ControlsTest, MeasuringAComboBoxTwiceLeavesItsLayoutFlagAlone)
{
    CXTPControlComboBox* pCombo = (CXTPControlComboBox*)m_pToolBar->GetControls()->Add(new CXTPControlComboBox(), 1);
    pCombo->SetWidth(100);
    pCombo->SetCaption(_T("Zoom"));
    Measure(pCombo);
    EXPECT_TRUE(pCombo->m_bDelayReposition) << "the first measure stores the widths";
    EXPECT_GE(pCombo->GetThumbWidth(), 15);
    int nLabel = pCombo->GetLabelWidth();
    pCombo->m_bDelayReposition = FALSE;
    CSize sz = Measure(pCombo);
    EXPECT_FALSE(pCombo->m_bDelayReposition);
    EXPECT_EQ(nLabel, pCombo->GetLabelWidth());
    EXPECT_EQ(100, sz.cx);
}

TEST_F(ControlsTest, EditSizesFollowTheFixedWidthTheBarAndTheEditHeight)
{
    CXTPControlEdit* pEdit = (CXTPControlEdit*)m_pToolBar->GetControls()->Add(new CXTPControlEdit(), 1);
    pEdit->SetWidth(120);
    EXPECT_EQ(120, Measure(pEdit).cx);
    CXTPControlEdit* pPopupEdit = (CXTPControlEdit*)m_pPopupBar->GetControls()->Add(new CXTPControlEdit(), 2);
    pPopupEdit->SetWidth(120);
    EXPECT_EQ(120 + m_pTheme->GetPopupBarGripperWidth(m_pPopupBar), Measure(pPopupEdit).cx);

    m_pTheme->m_nEditHeight = 20;
    EXPECT_EQ(20, Measure(pEdit).cy);
    m_pTheme->m_nEditHeight = 0;
}

TEST_F(ControlsTest, ShortcutTextWidensAPopupItem)
{
    CXTPControl* pItem = Add(m_pPopupBar, xtpControlButton, 1, _T("&Open..."));
    CSize szPlain = Measure(pItem);
    pItem->SetShortcutText(_T("Ctrl+O"));
    CSize szShortcut = Measure(pItem);
    CXTPFontDC font(m_canvas.DC(), m_pTheme->GetRegularFont());
    CRect rcShortcut(0, 0, 0, 0);
    m_canvas.DC()->DrawText(_T("Ctrl+O"), &rcShortcut, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(szPlain.cx + rcShortcut.Width(), szShortcut.cx);
    EXPECT_EQ(szPlain.cy, szShortcut.cy);
}

TEST_F(ControlsTest, FixedWidthOverridesTheCaptionAndTurnsWithVerticalBars)
{
    CXTPControl* pButton = Add(m_pToolBar, xtpControlButton, testsupport::idNew, _T("A long caption here"));
    pButton->SetStyle(xtpButtonIconAndCaption);
    pButton->SetWidth(100);
    EXPECT_EQ(100, Measure(pButton).cx);
    EXPECT_EQ(CSize(40, 100), m_pTheme->AdjustControlSize(pButton, 40, 30, TRUE)) << "a vertical bar";
    pButton->SetHeight(33);
    EXPECT_EQ(CSize(33, 100), m_pTheme->AdjustControlSize(pButton, 40, 30, TRUE));
}

TEST_F(ControlsTest, MenuBarPopupsLeaveRoomForTheGlyphButDrawNone)
{
    CXTPMenuBar* pMenuBar = new CXTPMenuBar();
    pMenuBar->m_barPosition = xtpBarTop;
    CXTPControl* pMenuItem = Add(pMenuBar, xtpControlPopup, 0, _T("Game"));
    CXTPControl* pToolItem = Add(m_pToolBar, xtpControlPopup, 0, _T("Game"));
    CSize sz = Measure(pMenuItem);
    EXPECT_EQ(sz, Measure(pToolItem));

    // The glyph sits right of the text: colour where the tool bar's item has
    // it, none in the menu bar's.
    m_pTheme->GetColorEntry(COLOR_BTNTEXT).SetCustomValue(RGB(200, 0, 0));
    for (CXTPControl* pControl : { pToolItem, pMenuItem })
    {
        Canvas canvas(sz.cx, sz.cy, RGB(255, 255, 255));
        pControl->SetRect(CRect(0, 0, sz.cx, sz.cy));
        m_pTheme->DrawControl(canvas.DC(), pControl, TRUE);
        int nRight = 0;
        for (int x = sz.cx - 12; x < sz.cx; x++)
            for (int y = 0; y < sz.cy; y++)
                nRight += canvas.Pixel(x, y) == RGB(200, 0, 0);
        if (pControl == pToolItem)
            EXPECT_GT(nRight, 2) << "the glyph";
        else
            EXPECT_EQ(0, nRight) << "no glyph on the menu bar";
    }
    m_pTheme->GetColorEntry(COLOR_BTNTEXT).SetDefaultValue();
    pMenuBar->InternalRelease();
}

TEST_F(ControlsTest, BarsDockedLeftOrRightUseTheVerticalFonts)
{
    m_pToolBar->m_barPosition = xtpBarRight;
    EXPECT_EQ(&m_pTheme->m_fontVert, m_pTheme->GetCommandBarFont(m_pToolBar));
    EXPECT_EQ(&m_pTheme->m_fontVertBold, m_pTheme->GetCommandBarFont(m_pToolBar, TRUE));
    m_pToolBar->m_barPosition = xtpBarFloating;
    EXPECT_EQ(m_pTheme->GetRegularFont(), m_pTheme->GetCommandBarFont(m_pToolBar));
    m_pToolBar->m_barPosition = xtpBarLeft;
    EXPECT_EQ(&m_pTheme->m_fontVert, m_pTheme->GetCommandBarFont(m_pToolBar));
}

TEST_F(ControlsTest, IsFlatToolBarTellsTheMenuBarFromOtherBars)
{
    CXTPMenuBar* pMenuBar = new CXTPMenuBar();
    m_pTheme->m_bFlatMenuBar = TRUE;
    EXPECT_TRUE(m_pTheme->IsFlatToolBar(pMenuBar));
    EXPECT_FALSE(m_pTheme->IsFlatToolBar(m_pToolBar));
    m_pTheme->m_bFlatToolBar = TRUE;
    m_pTheme->m_bFlatMenuBar = FALSE;
    EXPECT_FALSE(m_pTheme->IsFlatToolBar(pMenuBar));
    EXPECT_TRUE(m_pTheme->IsFlatToolBar(m_pToolBar));
    pMenuBar->InternalRelease();
}

TEST_F(ControlsTest, CheckBoxesOnToolBarsMeasureTheMarkAndTheCaption)
{
    CXTPControl* pCheck = Add(m_pToolBar, xtpControlCheckBox, 1, _T("Marks"));
    CXTPFontDC font(m_canvas.DC(), m_pTheme->GetRegularFont());
    CSize szText = m_canvas.DC()->GetTextExtent(_T("Marks"));
    EXPECT_EQ(CSize(szText.cx + 13 + 5, szText.cy), Measure(pCheck));
}

TEST(SplitCaptionTest, SplitsAtTheSpaceNearestTheMiddle)
{
    CString strLine1, strLine2;
    CXTPPaintManager::SplitCaption(_T("abcd efgh"), strLine1, strLine2);
    EXPECT_STREQ("abcd", strLine1);
    EXPECT_STREQ("efgh", strLine2);
    CXTPPaintManager::SplitCaption(_T("New Puzzle Book"), strLine1, strLine2);
    EXPECT_STREQ("New Puzzle", strLine1);
    EXPECT_STREQ("Book", strLine2);
    for (LPCTSTR lpszOneLine : { _T("abcdefgh"), _T("a b"), _T(""), _T(" abc") })
    {
        CXTPPaintManager::SplitCaption(lpszOneLine, strLine1, strLine2);
        EXPECT_STREQ(lpszOneLine, strLine1) << lpszOneLine;
        EXPECT_TRUE(strLine2.IsEmpty()) << lpszOneLine;
    }
}

TEST(ControlTextTest, DisabledTextIsEmbossedOnlyWhenAsked)
{
    XTPPaintThemes::CXTPDefaultTheme theme;
    theme.RefreshMetrics();
    COLORREF clrHighlight = theme.GetColor(COLOR_BTNHILIGHT);
    auto countHighlight = [&](BOOL bEnabled, BOOL bSelected) {
        Canvas canvas(80, 20, RGB(0, 100, 0));
        canvas.DC()->SetBkMode(TRANSPARENT);
        canvas.DC()->SetTextColor(RGB(0, 0, 0));
        CRect rc(0, 0, 80, 20);
        theme.DrawControlText(canvas.DC(), _T("IIII"), rc, 0, TRUE, bSelected, bEnabled);
        int n = 0;
        for (int y = 0; y < 20; y++)
            for (int x = 0; x < 80; x++)
                n += canvas.Pixel(x, y) == clrHighlight;
        return n;
    };
    EXPECT_GT(countHighlight(FALSE, FALSE), 0);
    EXPECT_EQ(0, countHighlight(TRUE, FALSE));
    EXPECT_EQ(0, countHighlight(FALSE, TRUE));
    theme.m_bEmbossedDisabledText = FALSE;
    EXPECT_EQ(0, countHighlight(FALSE, FALSE));
}

TEST(PopupColumnTest, IconColumnAndGripperWidths)
{
    XTPPaintThemes::CXTPOffice2003Theme theme;
    theme.RefreshMetrics();
    CXTPPopupBar* pPopup = new CXTPPopupBar();
    CSize szColumn = theme.GetPopupBarIconColumnSize(pPopup);
    EXPECT_EQ(std::max(theme.m_nTextHeight + 4, 20), szColumn.cx);
    EXPECT_EQ(std::max(theme.m_nTextHeight, 22), szColumn.cy);
    EXPECT_EQ(szColumn.cx + 1, theme.GetPopupBarGripperWidth(pPopup));
    pPopup->SetDoubleGripper(TRUE);
    EXPECT_EQ(2 * szColumn.cx + 1, theme.GetPopupBarGripperWidth(pPopup));
    CXTPToolBar* pToolBar = new CXTPToolBar();
    EXPECT_EQ(0, theme.GetPopupBarGripperWidth(pToolBar));
    pPopup->InternalRelease();
    pToolBar->InternalRelease();
}
