// The game's combo box base: selecting by item data, and the colours of its
// edit field.
#include "support/themedcontrols.h"
#include "RookXTComboBox.h"

namespace
{
::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new testsupport::Environment);

struct ComboFixture : testsupport::ThemeTest
{
    void SetUp() override
    {
        ThemeTest::SetUp();
        tmpl.reset(new testsupport::DialogTemplate("Combo", WS_POPUP | WS_CAPTION, 200, 80));
        tmpl->AddItem("COMBOBOX", "", 1001, CBS_DROPDOWN | WS_VSCROLL, 10, 10, 100, 80);
        dlg.reset(new testsupport::HostDialog(*tmpl));
        ASSERT_TRUE(combo.SubclassDlgItem(1001, dlg.get()));
    }
    void TearDown() override
    {
        combo.UnsubclassWindow();
        ThemeTest::TearDown();
    }
    void Add(LPCTSTR lpszText, DWORD_PTR dwData)
    {
        combo.SetItemData(combo.AddString(lpszText), dwData);
    }
    std::unique_ptr<testsupport::DialogTemplate> tmpl;
    std::unique_ptr<testsupport::HostDialog> dlg;
    CRookXTComboBox combo;
};
} // namespace

TEST_F(ComboFixture, SelectsTheFirstEntryWithTheDataAndLeavesTheSelectionOtherwise)
{
    const DWORD_PTR dwTwo = 2, dwNine = 9;
    EXPECT_FALSE(combo.SelectItemByData(&combo, &dwTwo));
    Add("Alpha", 1);
    Add("Beta", 2);
    Add("Gamma", 2);
    combo.SetCurSel(0);
    EXPECT_TRUE(combo.SelectItemByData(&combo, &dwTwo));
    EXPECT_EQ(1, combo.GetCurSel());
    EXPECT_FALSE(combo.SelectItemByData(&combo, &dwNine));
    EXPECT_EQ(1, combo.GetCurSel());
}

TEST_F(ComboFixture, TheEditFieldIsColouredByTheComboAndOtherControlsAreNot)
{
    combo.m_clrEditBack = RGB(1, 2, 3);
    combo.m_clrEditText = RGB(4, 5, 6);
    COMBOBOXINFO info = {sizeof(info)};
    ASSERT_TRUE(combo.GetComboBoxInfo(&info));
    HDC hDC = ::GetDC(info.hwndItem);
    ::SetBkColor(hDC, RGB(9, 9, 9));
    ::SetTextColor(hDC, RGB(9, 9, 9));
    combo.SendMessage(WM_CTLCOLOREDIT, (WPARAM)hDC, (LPARAM)info.hwndItem);
    EXPECT_EQ(RGB(1, 2, 3), ::GetBkColor(hDC));
    EXPECT_EQ(RGB(4, 5, 6), ::GetTextColor(hDC));
    ::SetBkColor(hDC, RGB(9, 9, 9));
    combo.SendMessage(WM_CTLCOLORLISTBOX, (WPARAM)hDC, (LPARAM)info.hwndList);
    EXPECT_NE(RGB(1, 2, 3), ::GetBkColor(hDC));
    ::ReleaseDC(info.hwndItem, hDC);
}
