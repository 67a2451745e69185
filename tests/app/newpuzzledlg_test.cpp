// The new-puzzle dialog: its two profile choosers filled from the
// application's lists, the indexes it hands back, and its look.
// ctest: run-serial
#include "support/wndtest.h"
#include "support/snapshot.h"
#include "support/modal.h"
#include "support/profilelists.h"
#include "ApplicationInfo.h"
#include "NewPuzzleDlg.h"
#include "XTThemeManager.h"

namespace
{
::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new testsupport::Environment);

struct NewPuzzleFixture : ::testing::Test
{
    void SetUp() override
    {
        XTThemeManager()->SetTheme(xtThemeOffice2003);
        testsupport::ResetBuiltInProfiles();
    }
    void TearDown() override
    {
        if (::IsWindow(dlg.m_hWnd))
            dlg.DestroyWindow();
        XTThemeManager()->SetTheme(xtThemeDefault);
    }
    void Open() { ASSERT_TRUE(dlg.Create(CNewPuzzleDlg::IDD, NULL)); }
    void Click(int nID) { dlg.SendMessage(WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), (LPARAM)::GetDlgItem(dlg.m_hWnd, nID)); }

    CNewPuzzleDlg dlg;
};

void ExpectEntries(CComboBox& combo, const std::vector<const char*>& names)
{
    ASSERT_EQ((int)names.size(), combo.GetCount());
    for (int i = 0; i < (int)names.size(); i++)
    {
        CString strText;
        combo.GetLBText(i, strText);
        EXPECT_STREQ(names[i], strText);
        EXPECT_EQ((DWORD_PTR)i, combo.GetItemData(i));
    }
    EXPECT_EQ(0, combo.GetCurSel());
}
} // namespace

TEST_F(NewPuzzleFixture, ChoosersListTheProfilesWithTheirIndexesAndTheFirstSelected)
{
    Open();
    ExpectEntries(dlg.m_cbAppearance, {"Standard", "Printing"});
    ExpectEntries(dlg.m_cbGrade, {"Easy", "Mild", "Difficult", "Fiendish"});
    CString strCaption;
    dlg.GetWindowText(strCaption);
    EXPECT_STREQ("New Puzzle", strCaption);
}

TEST_F(NewPuzzleFixture, OKHandsBackTheChosenIndexesAndCancelNone)
{
    Open();
    Click(IDOK);
    EXPECT_EQ(0, dlg.m_nAppearanceIndex);
    EXPECT_EQ(0, dlg.m_nGradeIndex);
    dlg.DestroyWindow();

    CNewPuzzleDlg other;
    ASSERT_TRUE(other.Create(CNewPuzzleDlg::IDD, NULL));
    other.m_cbAppearance.SetCurSel(1);
    other.m_cbGrade.SetCurSel(3);
    other.SendMessage(WM_COMMAND, IDOK);
    EXPECT_EQ(1, other.m_nAppearanceIndex);
    EXPECT_EQ(3, other.m_nGradeIndex);
    other.DestroyWindow();

    // With no difficulty profile left, OK gives -1 for it.
    g_ApplicationInfo.m_GradeInfoList.RemoveAll();
    CNewPuzzleDlg empty;
    ASSERT_TRUE(empty.Create(CNewPuzzleDlg::IDD, NULL));
    EXPECT_EQ(0, empty.m_cbGrade.GetCount());
    empty.SendMessage(WM_COMMAND, IDCANCEL);
    EXPECT_EQ(-1, empty.m_nGradeIndex);
    empty.SendMessage(WM_COMMAND, IDOK);
    EXPECT_EQ(0, empty.m_nAppearanceIndex);
    EXPECT_EQ(-1, empty.m_nGradeIndex);
    empty.DestroyWindow();
}

TEST_F(NewPuzzleFixture, EditButtonsOpenTheListsAndRefillTheirChooser)
{
    Open();
    dlg.m_cbGrade.SetCurSel(2);
    g_ApplicationInfo.m_GradeInfoList.RemoveTail();
    {
        // From here the difficulty list offers Copy; Close leaves the first entry chosen.
        testsupport::ModalDriver driver(
            [](HWND hList) {
                EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(hList, IDC_PROFILE_COPY)));
                testsupport::ModalDriver::Press(hList, IDCANCEL);
            },
            dlg.m_hWnd);
        Click(IDC_EDIT_DIFFICULTY_PROFILES);
        EXPECT_TRUE(driver.HasRun());
    }
    ExpectEntries(dlg.m_cbGrade, {"Easy", "Mild", "Difficult"});
    {
        // "Select" in the list chooses that profile here.
        testsupport::ModalDriver driver(
            [](HWND hList) {
                CListCtrl* pList = (CListCtrl*)CWnd::FromHandle(::GetDlgItem(hList, IDC_PROFILE_LIST));
                pList->SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
                testsupport::ModalDriver::Press(hList, IDOK);
            },
            dlg.m_hWnd);
        Click(IDC_EDIT_DIFFICULTY_PROFILES);
        EXPECT_TRUE(driver.HasRun());
    }
    EXPECT_EQ(1, dlg.m_cbGrade.GetCurSel());

    dlg.m_cbAppearance.SetCurSel(1);
    {
        testsupport::ModalDriver driver([](HWND hList) { testsupport::ModalDriver::Press(hList, IDCANCEL); },
                                        dlg.m_hWnd);
        Click(IDC_EDIT_APPEARANCE_PROFILES);
        EXPECT_TRUE(driver.HasRun());
    }
    EXPECT_EQ(0, dlg.m_cbAppearance.GetCurSel());
}

TEST_F(NewPuzzleFixture, Snapshot)
{
    Open();
    dlg.ShowWindow(SW_SHOWNA);
    dlg.UpdateWindow();
    EXPECT_FALSE(testsupport::SaveWindowSnapshot(dlg.m_hWnd, "dialog117_new_puzzle").empty());
}
