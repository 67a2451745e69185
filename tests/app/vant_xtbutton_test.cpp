// The game's buttons: their themes come from the game's own factory, with
// the light-grey ring, the focus rectangle on every draw, captions measured
// with their ampersands, and nothing of the parent behind a visual-styles
// button.
#include "support/themedcontrols.h"
#include "support/canvas.h"
#include "support/snapshot.h"
#include "Vant_XTButton.h"

using testsupport::FakeVisualStyles;
using testsupport::HostDialog;
using testsupport::ThemeTest;
using testsupport::Canvas;

namespace
{
::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new testsupport::Environment);

struct GameButtonFixture : ThemeTest
{
    void SetUp() override
    {
        ThemeTest::SetUp();
        tmpl.reset(new testsupport::DialogTemplate("Game", WS_POPUP | WS_CAPTION, 200, 60));
        tmpl->AddItem("BUTTON", "&Add...", 1001, BS_PUSHBUTTON, 10, 10, 70, 20);
        tmpl->AddItem("BUTTON", "&Add...", 1002, BS_PUSHBUTTON, 100, 10, 70, 20);
        dlg.reset(new HostDialog(*tmpl));
        ASSERT_TRUE(game.SubclassDlgItem(1001, dlg.get()));
        ASSERT_TRUE(toolkit.SubclassDlgItem(1002, dlg.get()));
        CRect rc;
        game.GetClientRect(&rc);
        canvas.reset(new Canvas(rc.Width(), rc.Height(), RGB(0, 255, 0)));
    }
    void TearDown() override
    {
        game.UnsubclassWindow();
        toolkit.UnsubclassWindow();
        ThemeTest::TearDown();
    }
    void Draw(CXTButton& button, UINT nState)
    {
        canvas->Fill(RGB(0, 255, 0));
        testsupport::DrawButtonInto(*canvas, button, nState);
    }
    // The leftmost column holding text-coloured pixels.
    int FirstTextColumn(COLORREF clrText)
    {
        for (int x = 0; x < canvas->Width(); x++)
            for (int y = 0; y < canvas->Height(); y++)
                if (canvas->Pixel(x, y) == clrText)
                    return x;
        return -1;
    }
    // Pixels of the focus rectangle's left side (two pixels in) that differ
    // between a full draw with and without the focus state.
    // (A flat button's rectangle is two pixels in, any other's four.)
    int FocusColumnDifference(CXTButton& button, int nColumn = 2)
    {
        Draw(button, ODS_FOCUS);
        std::vector<COLORREF> focused;
        for (int y = 0; y < canvas->Height(); y++)
            focused.push_back(canvas->Pixel(nColumn, y));
        Draw(button, 0);
        int n = 0;
        for (int y = 0; y < canvas->Height(); y++)
            n += focused[y] != canvas->Pixel(nColumn, y);
        return n;
    }
    std::unique_ptr<testsupport::DialogTemplate> tmpl;
    std::unique_ptr<HostDialog> dlg;
    CVant_XTButton game;
    CXTButton toolkit;
    std::unique_ptr<Canvas> canvas;
};
} // namespace

TEST_F(GameButtonFixture, ThemesComeFromTheGamesOwnFactoryByThemeNumber)
{
    EXPECT_EQ((DWORD)BS_XT_XPFLAT, game.GetStyleFlags());
    EXPECT_EQ(game.GetGameFactory(), game.GetFactory());
    EXPECT_NE(nullptr, dynamic_cast<CVant_XTButtonTheme*>(game.GetTheme()));

    XTThemeManager()->SetTheme(xtThemeOffice2003);
    CVant_XTButton later;
    EXPECT_NE(nullptr, dynamic_cast<CVant_XTButtonThemeOffice2003*>(later.GetTheme()));
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), later.GetBackColor());
    // A button's own factory is not the toolkit's: the number change leaves it.
    EXPECT_NE(nullptr, dynamic_cast<CVant_XTButtonTheme*>(game.GetTheme()));
}

TEST_F(GameButtonFixture, NormalButtonsGetTheLightGreyRing)
{
    XTThemeManager()->SetTheme(xtThemeOffice2003);
    CVant_XTButton button;
    game.UnsubclassWindow();
    ASSERT_TRUE(button.SubclassDlgItem(1001, dlg.get()));
    Draw(button, 0);
    EXPECT_EQ(VANT_BUTTON_RING_COLOUR, canvas->Pixel(0, 0));
    EXPECT_EQ(VANT_BUTTON_RING_COLOUR, canvas->Pixel(canvas->Width() - 1, canvas->Height() - 1));
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), canvas->Pixel(3, 3));
    button.UnsubclassWindow();
    ASSERT_TRUE(game.SubclassDlgItem(1001, dlg.get()));

    // The default look rings a flat button only while it is lit.
    game.SetStyleFlags(BS_XT_FLAT, FALSE);
    game.SetThemeFactory(game.GetGameFactory());
    game.GetGameFactory()->SetTheme(new CVant_XTButtonTheme);
    Draw(game, 0);
    EXPECT_NE(VANT_BUTTON_RING_COLOUR, canvas->Pixel(0, 0));
    Draw(game, ODS_SELECTED);
    EXPECT_EQ(VANT_BUTTON_RING_COLOUR, canvas->Pixel(0, 0));
}

TEST_F(GameButtonFixture, TheFocusRectangleShowsOnEveryDrawOfAFocusedButton)
{
    for (CXTButton* pButton : {(CXTButton*)&game, &toolkit})
    {
        pButton->SetStyleFlags(BS_XT_SHOWFOCUS | BS_XT_SEMIFLAT, FALSE);
    }
    game.SetThemeFactory(game.GetGameFactory());
    // A full repaint of a focused button: the game's shows the focus, the
    // toolkit's only on focus changes.
    EXPECT_GT(FocusColumnDifference(game), 0);
    EXPECT_EQ(0, FocusColumnDifference(toolkit));
}

TEST_F(GameButtonFixture, AGameButtonShowsTheFocusWithItsOwnStyleFlags)
{
    // The flags every game button is made with lack the focus flag; the
    // focus shows all the same, in every theme of the game.
    ASSERT_EQ(0u, game.GetStyleFlags() & BS_XT_SHOWFOCUS);
    EXPECT_GT(FocusColumnDifference(game, 4), 0);
    for (XTThemeStyle nTheme : {xtThemeOffice2003, xtThemeDefault})
    {
        XTThemeManager()->SetTheme(nTheme);
        CVant_XTButton button;
        game.UnsubclassWindow();
        ASSERT_TRUE(button.SubclassDlgItem(1001, dlg.get()));
        ASSERT_EQ(0u, button.GetStyleFlags() & BS_XT_SHOWFOCUS);
        EXPECT_GT(FocusColumnDifference(button, 4), 0) << "theme " << (int)nTheme;
        button.UnsubclassWindow();
        ASSERT_TRUE(game.SubclassDlgItem(1001, dlg.get()));
    }
    // The toolkit's button with the same flags keeps its own rule.
    toolkit.SetStyleFlags(game.GetStyleFlags(), FALSE);
    EXPECT_EQ(0, FocusColumnDifference(toolkit, 4));
}

TEST_F(GameButtonFixture, CaptionsAreMeasuredWithTheirAmpersands)
{
    game.SetStyleFlags(0, FALSE);
    game.SetThemeFactory(game.GetGameFactory());
    toolkit.SetStyleFlags(0, FALSE);
    const COLORREF clrText = ::GetSysColor(COLOR_BTNTEXT);
    Draw(toolkit, 0);
    const int xToolkit = FirstTextColumn(clrText);
    Draw(game, 0);
    const int xGame = FirstTextColumn(clrText);
    ASSERT_GT(xToolkit, 0);
    // Centred as a wider text: it starts further left.
    EXPECT_LT(xGame, xToolkit);
}

TEST_F(GameButtonFixture, VisualStylesShowWhatLiesUnderTheButtonNotTheParentsColour)
{
    game.SetStyleFlags(BS_XT_XPFLAT | BS_XT_WINXP_COMPAT, FALSE);
    game.SetThemeFactory(game.GetGameFactory());
    FakeVisualStyles styles;
    Draw(game, ODS_CHECKED);
    ASSERT_EQ(1u, FakeVisualStyles::Calls().size());
    EXPECT_EQ(3, FakeVisualStyles::Calls()[0].nState);     // checked draws pressed
    EXPECT_EQ(RGB(0, 255, 0), canvas->Pixel(0, 0));
    EXPECT_EQ(FakeVisualStyles::PartColour(), canvas->Pixel(3, 3));
}

TEST_F(GameButtonFixture, SnapshotOfTheGameLooks)
{
    XTThemeManager()->SetTheme(xtThemeOffice2003);
    CVant_XTButton button;
    game.UnsubclassWindow();
    ASSERT_TRUE(button.SubclassDlgItem(1001, dlg.get()));
    const struct
    {
        BOOL bHot;
        UINT nState;
        const char* pszName;
    } looks[] = {{FALSE, 0, "office2003_normal"}, {TRUE, 0, "office2003_hot"}, {FALSE, ODS_SELECTED, "office2003_pushed"},
                 {FALSE, ODS_DISABLED, "office2003_disabled"}};
    for (const auto& look : looks)
    {
        button.m_bHot = look.bHot;
        Draw(button, look.nState);
        EXPECT_FALSE(testsupport::SaveSnapshot(*canvas, look.pszName).empty());
    }
    button.m_bHot = FALSE;
    button.UnsubclassWindow();
    ASSERT_TRUE(game.SubclassDlgItem(1001, dlg.get()));
}
