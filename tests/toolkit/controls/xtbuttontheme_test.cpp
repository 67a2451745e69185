// Button themes: what the classic, Office XP and Office 2003 looks and the
// visual-styles branch put into the button's picture.
#include "support/themedcontrols.h"
#include "support/canvas.h"
#include "support/snapshot.h"
#include "XTButton.h"

using testsupport::FakeVisualStyles;
using testsupport::HostDialog;
using testsupport::ThemeTest;
using testsupport::Canvas;
using testsupport::CountPixels;
using testsupport::DrawButtonInto;

namespace
{
::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new testsupport::Environment);

const COLORREF kParentButtonColour = RGB(200, 30, 40);

// A dialog that answers the buttons' colour question with its own colour.
class ColouredDialog : public HostDialog
{
public:
    explicit ColouredDialog(testsupport::DialogTemplate& tmpl) : HostDialog(tmpl), m_brush(kParentButtonColour) {}
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
    {
        if (message == WM_CTLCOLORBTN)
        {
            *pResult = (LRESULT)m_brush.GetSafeHandle();
            return TRUE;
        }
        return HostDialog::OnWndMsg(message, wParam, lParam, pResult);
    }
    CBrush m_brush;
};

testsupport::DialogTemplate MakeTemplate()
{
    testsupport::DialogTemplate tmpl("Themes", WS_POPUP | WS_CAPTION, 200, 60);
    tmpl.AddItem("BUTTON", "Button", 1001, BS_PUSHBUTTON, 10, 10, 80, 20);
    return tmpl;
}

struct ButtonFixture : ThemeTest
{
    void SetUp() override
    {
        ThemeTest::SetUp();
        tmpl.reset(new testsupport::DialogTemplate(MakeTemplate()));
        dlg.reset(new ColouredDialog(*tmpl));
        ASSERT_TRUE(button.SubclassDlgItem(1001, dlg.get()));
        CRect rc;
        button.GetClientRect(&rc);
        canvas.reset(new Canvas(rc.Width(), rc.Height(), RGB(0, 255, 0)));
    }
    void TearDown() override
    {
        button.UnsubclassWindow();
        ThemeTest::TearDown();
    }
    std::unique_ptr<testsupport::DialogTemplate> tmpl;
    std::unique_ptr<ColouredDialog> dlg;
    CXTButton button;
    std::unique_ptr<Canvas> canvas;
};
} // namespace

TEST_F(ButtonFixture, FlatClassicButtonShowsABorderOnlyWhileHotOrPushed)
{
    button.SetStyleFlags(BS_XT_FLAT, FALSE);
    const COLORREF clrFace = ::GetSysColor(COLOR_3DFACE);
    DrawButtonInto(*canvas, button, 0);
    EXPECT_EQ(clrFace, canvas->Pixel(0, 0));
    EXPECT_EQ(clrFace, canvas->Pixel(canvas->Width() - 1, canvas->Height() - 1));

    button.m_bHot = TRUE;
    DrawButtonInto(*canvas, button, 0);
    EXPECT_EQ(::GetSysColor(COLOR_3DHIGHLIGHT), canvas->Pixel(0, 0));
    EXPECT_EQ(::GetSysColor(COLOR_3DSHADOW), canvas->Pixel(canvas->Width() - 1, canvas->Height() - 1));
    button.m_bHot = FALSE;

    DrawButtonInto(*canvas, button, ODS_SELECTED);
    EXPECT_EQ(::GetSysColor(COLOR_3DSHADOW), canvas->Pixel(0, 0));
}

TEST_F(ButtonFixture, DisabledButtonDrawsGreyText)
{
    button.SetStyleFlags(0, FALSE);
    DrawButtonInto(*canvas, button, 0);
    const int nEnabledGrey = CountPixels(*canvas, ::GetSysColor(COLOR_GRAYTEXT));
    EXPECT_GT(CountPixels(*canvas, ::GetSysColor(COLOR_BTNTEXT)), 0);

    DrawButtonInto(*canvas, button, ODS_DISABLED);
    EXPECT_GT(CountPixels(*canvas, ::GetSysColor(COLOR_GRAYTEXT)), nEnabledGrey);
    EXPECT_EQ(0, CountPixels(*canvas, ::GetSysColor(COLOR_BTNTEXT)));
}

TEST_F(ButtonFixture, CustomColoursSurviveARefreshOfTheStandardOnes)
{
    button.SetStyleFlags(BS_XT_FLAT, FALSE);
    button.SetBackColor(RGB(10, 20, 30));
    button.SetTextColor(RGB(40, 50, 60));
    button.GetTheme()->RefreshMetrics();
    button.SendMessage(WM_SYSCOLORCHANGE);
    EXPECT_EQ(RGB(10, 20, 30), button.GetBackColor());
    DrawButtonInto(*canvas, button, 0);
    EXPECT_EQ(RGB(10, 20, 30), canvas->Pixel(1, 1));
    EXPECT_GT(CountPixels(*canvas, RGB(40, 50, 60)), 0);
}

TEST_F(ButtonFixture, OfficeLooksFillHotAndPushedButtonsAndFrameThemInTheHiliteColour)
{
    button.SetStyleFlags(BS_XT_XPFLAT, FALSE);
    CXTButtonThemeOfficeXP* pXP = static_cast<CXTButtonThemeOfficeXP*>(button.GetTheme());
    DrawButtonInto(*canvas, button, 0);
    EXPECT_EQ((COLORREF)pXP->m_crBack, canvas->Pixel(0, 0));
    button.m_bHot = TRUE;
    DrawButtonInto(*canvas, button, 0);
    EXPECT_EQ((COLORREF)pXP->m_crBorderHilite, canvas->Pixel(0, 0));
    EXPECT_EQ((COLORREF)pXP->m_crBackHilite, canvas->Pixel(3, canvas->Height() / 2));
    button.m_bHot = FALSE;
    DrawButtonInto(*canvas, button, ODS_SELECTED);
    EXPECT_EQ((COLORREF)pXP->m_crBackPushed, canvas->Pixel(3, canvas->Height() / 2));

    // Office 2003: a vertical gradient of the colour manager's hot colours.
    XTThemeManager()->SetTheme(xtThemeOffice2003);
    button.SetStyleFlags(0, FALSE);
    CXTButtonTheme* p2003 = button.GetTheme();
    CXTPPaintManagerColorGradient& gradHot = GetColorManager()->GetGradientColor(9);
    const CXTPPaintManagerColorGradient gradSaved = gradHot;
    gradHot.SetStandardValue(RGB(255, 0, 0), RGB(0, 0, 255));
    button.m_bHot = TRUE;
    DrawButtonInto(*canvas, button, 0);
    EXPECT_EQ((COLORREF)p2003->m_crBorderHilite, canvas->Pixel(0, 0));
    const COLORREF clrTop = canvas->Pixel(3, 1);
    const COLORREF clrBottom = canvas->Pixel(3, canvas->Height() - 2);
    EXPECT_GT(GetRValue(clrTop), GetRValue(clrBottom));
    EXPECT_LT(GetBValue(clrTop), GetBValue(clrBottom));
    button.m_bHot = FALSE;
    gradHot = gradSaved;
}

TEST_F(ButtonFixture, VisualStylesDrawThePartOverTheParentsButtonColourAndFallBackWithoutThem)
{
    button.SetStyleFlags(BS_XT_FLAT, FALSE);
    {
        FakeVisualStyles styles;
        DrawButtonInto(*canvas, button, 0);
        EXPECT_TRUE(FakeVisualStyles::Calls().empty());     // no 0x1000 flag: classic

        button.SetStyleFlags(BS_XT_FLAT | BS_XT_WINXP_COMPAT, FALSE);
        const struct
        {
            UINT nState;
            BOOL bHot;
            int nPartState;
        } cases[] = {{0, FALSE, 1}, {0, TRUE, 2}, {ODS_SELECTED, TRUE, 3}, {ODS_DISABLED, FALSE, 4}, {ODS_FOCUS, FALSE, 5}};
        for (const auto& c : cases)
        {
            FakeVisualStyles::Calls().clear();
            button.m_bHot = c.bHot;
            DrawButtonInto(*canvas, button, c.nState);
            ASSERT_EQ(1u, FakeVisualStyles::Calls().size());
            EXPECT_EQ(1, FakeVisualStyles::Calls()[0].nPart);
            EXPECT_EQ(c.nPartState, FakeVisualStyles::Calls()[0].nState);
        }
        button.m_bHot = FALSE;
        EXPECT_TRUE(button.GetTheme()->UseHotTracking(&button));
        EXPECT_EQ(kParentButtonColour, canvas->Pixel(0, 0));
        EXPECT_EQ(FakeVisualStyles::PartColour(), canvas->Pixel(3, 3));
    }
    // Visual styles off again: the classic drawing.
    FakeVisualStyles::Calls().clear();
    DrawButtonInto(*canvas, button, 0);
    EXPECT_TRUE(FakeVisualStyles::Calls().empty());
    EXPECT_EQ(::GetSysColor(COLOR_3DFACE), canvas->Pixel(0, 0));
}

TEST_F(ButtonFixture, SnapshotsOfTheThreeLooks)
{
    const struct
    {
        int nTheme;
        DWORD dwFlags;
        BOOL bHot;
        UINT nState;
        const char* pszName;
    } looks[] = {
        {xtThemeDefault, 0, FALSE, ODS_FOCUS, "classic_focused"},
        {xtThemeDefault, BS_XT_FLAT, TRUE, 0, "classic_flat_hot"},
        {xtThemeOfficeXP, 0, TRUE, 0, "officexp_hot"},
        {xtThemeOffice2003, 0, TRUE, 0, "office2003_hot"},
        {xtThemeOffice2003, 0, FALSE, ODS_SELECTED, "office2003_pushed"},
        {xtThemeOffice2003, 0, FALSE, ODS_DISABLED, "office2003_disabled"},
    };
    for (const auto& look : looks)
    {
        XTThemeManager()->SetTheme(look.nTheme);
        button.SetStyleFlags(look.dwFlags, FALSE);
        button.m_bHot = look.bHot;
        DrawButtonInto(*canvas, button, look.nState);
        EXPECT_FALSE(testsupport::SaveSnapshot(*canvas, look.pszName).empty());
    }
    button.m_bHot = FALSE;
}
