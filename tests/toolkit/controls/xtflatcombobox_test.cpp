// The flat combo box: completion of typed text, the flat frame of its three
// looks, the disabled look, and the plain look with the flat flag cleared.
#include "support/themedcontrols.h"
#include "support/canvas.h"
#include "support/snapshot.h"
#include "XTFlatComboBox.h"

using testsupport::HostDialog;
using testsupport::ThemeTest;
using testsupport::Canvas;

namespace
{
::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new testsupport::Environment);

const int kEditComboID = 1001;
const int kListComboID = 1002;
const COLORREF kUntouched = RGB(0, 255, 0);

struct ComboFixture : ThemeTest
{
    void SetUp() override
    {
        ThemeTest::SetUp();
        tmpl.reset(new testsupport::DialogTemplate("Combos", WS_POPUP | WS_CAPTION, 200, 80));
        tmpl->AddItem("COMBOBOX", "", kEditComboID, CBS_DROPDOWN | WS_VSCROLL | WS_TABSTOP, 10, 10, 100, 80);
        tmpl->AddItem("COMBOBOX", "", kListComboID, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 10, 30, 100, 80);
        dlg.reset(new HostDialog(*tmpl));
        ASSERT_TRUE(editCombo.SubclassDlgItem(kEditComboID, dlg.get()));
        ASSERT_TRUE(listCombo.SubclassDlgItem(kListComboID, dlg.get()));
        for (CXTFlatComboBox* pCombo : {&editCombo, &listCombo})
        {
            pCombo->AddString("Apple");
            pCombo->AddString("Banana");
        }
        COMBOBOXINFO info = {sizeof(info)};
        ASSERT_TRUE(editCombo.GetComboBoxInfo(&info));
        hEdit = info.hwndItem;
    }
    void TearDown() override
    {
        editCombo.UnsubclassWindow();
        listCombo.UnsubclassWindow();
        ThemeTest::TearDown();
    }

    CString EditText()
    {
        CString str;
        editCombo.GetWindowText(str);
        return str;
    }
    // A key through the combo's own key handling, then what it queued.
    void Key(UINT nMessage, UINT nKey)
    {
        MSG msg = {hEdit, nMessage, nKey, 1};
        if (!editCombo.PreTranslateMessage(&msg))
        {
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
        }
        testsupport::PumpPending();
    }
    // The flat frame drawn straight into a canvas of the combo's size.
    std::unique_ptr<Canvas> Draw(CXTFlatComboBox& combo, int nState, COLORREF clrBack = kUntouched)
    {
        CRect rc;
        combo.GetClientRect(&rc);
        std::unique_ptr<Canvas> canvas(new Canvas(rc.Width(), rc.Height(), clrBack));
        combo.GetTheme()->DrawFlatComboBox(canvas->DC(), &combo, nState);
        ::GdiFlush();
        return canvas;
    }

    std::unique_ptr<testsupport::DialogTemplate> tmpl;
    std::unique_ptr<HostDialog> dlg;
    CXTFlatComboBox editCombo;
    CXTFlatComboBox listCombo;
    HWND hEdit = NULL;
};

// TRUE when a downward 5-3-1 triangle of the colour lies in the picture.
bool HasArrow(const Canvas& canvas, COLORREF clr)
{
    for (int y = 0; y + 2 < canvas.Height(); y++)
        for (int x = 0; x + 4 < canvas.Width(); x++)
        {
            bool bRow0 = true;
            for (int i = 0; i < 5; i++)
                bRow0 = bRow0 && canvas.Pixel(x + i, y) == clr;
            if (bRow0 && canvas.Pixel(x + 1, y + 1) == clr && canvas.Pixel(x + 3, y + 1) == clr &&
                canvas.Pixel(x, y + 1) != clr && canvas.Pixel(x + 2, y + 2) == clr && canvas.Pixel(x + 1, y + 2) != clr)
                return true;
        }
    return false;
}
} // namespace

TEST_F(ComboFixture, TypedTextIsCompletedFromTheListAndBackspaceDoesNotRefillIt)
{
    editCombo.EnableAutoCompletion(TRUE);
    EXPECT_TRUE(editCombo.SetAutoComplete(TRUE));
    ::SendMessage(hEdit, WM_CHAR, 'A', 1);
    ::SendMessage(hEdit, WM_CHAR, 'p', 1);
    EXPECT_STREQ("Apple", EditText());
    const DWORD dwSel = editCombo.GetEditSel();
    EXPECT_EQ(2, LOWORD(dwSel));
    EXPECT_EQ(5, HIWORD(dwSel));

    Key(WM_KEYDOWN, VK_BACK);
    EXPECT_TRUE(editCombo.m_bDisableAC);
    if (EditText() == "Apple")
        ::SendMessage(hEdit, WM_CHAR, VK_BACK, 1);   // the key as the system's translation would give it
    EXPECT_STREQ("Ap", EditText());
    Key(WM_KEYUP, VK_BACK);
    EXPECT_FALSE(editCombo.m_bDisableAC);
    EXPECT_STREQ("Ap", EditText());

    // Text that starts no entry stays as typed.
    ::SendMessage(hEdit, WM_CHAR, 'x', 1);
    EXPECT_STREQ("Apx", EditText());

    // Without completion nothing is filled in.
    editCombo.SetWindowText("");
    editCombo.EnableAutoCompletion(FALSE);
    ::SendMessage(hEdit, WM_CHAR, 'B', 1);
    EXPECT_STREQ("B", EditText());
}

TEST_F(ComboFixture, ClassicFrameFillsTheTextAreaOfADropDownList)
{
    std::unique_ptr<Canvas> canvas = Draw(listCombo, xtComboNormal);
    const COLORREF clrWindow = ::GetSysColor(COLOR_WINDOW);
    EXPECT_EQ(clrWindow, canvas->Pixel(4, canvas->Height() / 2));
    EXPECT_EQ(kUntouched, canvas->Pixel(0, 0));        // no frame while not hot
    EXPECT_TRUE(HasArrow(*canvas, ::GetSysColor(COLOR_WINDOWTEXT)));

    listCombo.SetBackColor(RGB(250, 200, 10));
    canvas = Draw(listCombo, xtComboRaised);
    EXPECT_EQ(RGB(250, 200, 10), canvas->Pixel(4, canvas->Height() / 2));
    EXPECT_EQ(::GetSysColor(COLOR_3DSHADOW), canvas->Pixel(0, 0));
    EXPECT_EQ(::GetSysColor(COLOR_3DHIGHLIGHT), canvas->Pixel(canvas->Width() - 1, canvas->Height() - 1));
    listCombo.SetBackColor(COLORREF_NULL);

    // A combo with an edit field keeps the window colour there.
    editCombo.SetBackColor(RGB(250, 200, 10));
    canvas = Draw(editCombo, xtComboNormal);
    EXPECT_EQ(clrWindow, canvas->Pixel(4, canvas->Height() / 2));
}

TEST_F(ComboFixture, DisabledComboShowsTheDisabledFaceFrameAndAGreyArrow)
{
    listCombo.EnableWindow(FALSE);
    std::unique_ptr<Canvas> canvas = Draw(listCombo, xtComboNormal);
    EXPECT_EQ(GetXTPSysColor(XPCOLOR_3DFACE), canvas->Pixel(4, canvas->Height() / 2));
    EXPECT_EQ(GetXTPSysColor(XPCOLOR_3DSHADOW), canvas->Pixel(0, 0));
    EXPECT_TRUE(HasArrow(*canvas, ::GetSysColor(COLOR_3DSHADOW)));
    EXPECT_FALSE(HasArrow(*canvas, ::GetSysColor(COLOR_WINDOWTEXT)));
}

TEST_F(ComboFixture, OfficeLooksFrameTheComboByState)
{
    XTThemeManager()->SetTheme(xtThemeOfficeXP);
    ASSERT_EQ(xtThemeOfficeXP, listCombo.GetTheme()->GetThemeStyle());
    std::unique_ptr<Canvas> canvas = Draw(listCombo, xtComboNormal);
    EXPECT_EQ(GetXTPSysColor(XPCOLOR_3DFACE), canvas->Pixel(0, 0));
    canvas = Draw(listCombo, xtComboRaised);
    EXPECT_EQ(GetXTPSysColor(XPCOLOR_HIGHLIGHT_BORDER), canvas->Pixel(0, 0));
    EXPECT_TRUE(HasArrow(*canvas, ::GetSysColor(COLOR_WINDOWTEXT)));

    XTThemeManager()->SetTheme(xtThemeOffice2003);
    canvas = Draw(listCombo, xtComboNormal);
    EXPECT_EQ(kUntouched, canvas->Pixel(0, 0));
    canvas = Draw(listCombo, xtComboPressed);
    EXPECT_EQ(GetColorManager()->GetLunaColor(XPCOLOR_HIGHLIGHT_BORDER), canvas->Pixel(0, 0));
}

TEST_F(ComboFixture, WithoutTheFlatFlagTheSystemLookStays)
{
    CRect rc;
    listCombo.GetClientRect(&rc);
    Canvas canvas(rc.Width(), rc.Height(), kUntouched);
    listCombo.SetFlatLook(FALSE);
    listCombo.RedrawFlatCombo(canvas.DC());
    ::GdiFlush();
    EXPECT_EQ(kUntouched, canvas.Pixel(rc.Width() - 4, rc.Height() / 2));
    listCombo.SetFlatLook(TRUE);
    listCombo.RedrawFlatCombo(canvas.DC());
    ::GdiFlush();
    EXPECT_NE(kUntouched, canvas.Pixel(rc.Width() - 4, rc.Height() / 2));
}

TEST_F(ComboFixture, FocusNotificationsLightTheCombo)
{
    dlg->ShowWindow(SW_SHOW);
    dlg->SetForegroundWindow();
    // The dialog focused its first control before the combo had an object.
    listCombo.SetFocus();
    ::SetFocus(hEdit);
    EXPECT_TRUE(editCombo.HasFocus());
    EXPECT_EQ(xtComboRaised, editCombo.GetDrawState());
    listCombo.SetFocus();
    EXPECT_FALSE(editCombo.HasFocus());
    EXPECT_TRUE(listCombo.HasFocus());
}

TEST_F(ComboFixture, SnapshotsOfTheFlatLooks)
{
    const struct
    {
        int nTheme;
        int nState;
        BOOL bEnabled;
        const char* pszName;
    } looks[] = {
        {xtThemeDefault, xtComboNormal, TRUE, "classic_normal"},
        {xtThemeDefault, xtComboRaised, TRUE, "classic_hot"},
        {xtThemeDefault, xtComboNormal, FALSE, "classic_disabled"},
        {xtThemeOfficeXP, xtComboRaised, TRUE, "officexp_hot"},
        {xtThemeOffice2003, xtComboNormal, TRUE, "office2003_normal"},
        {xtThemeOffice2003, xtComboPressed, TRUE, "office2003_pressed"},
    };
    for (const auto& look : looks)
    {
        XTThemeManager()->SetTheme(look.nTheme);
        listCombo.EnableWindow(look.bEnabled);
        // On the 3-D face, as the combo's own memory picture starts.
        std::unique_ptr<Canvas> canvas = Draw(listCombo, look.nState, ::GetSysColor(COLOR_3DFACE));
        EXPECT_FALSE(testsupport::SaveSnapshot(*canvas, look.pszName).empty());
    }
    listCombo.EnableWindow(TRUE);
}
