// The appearance profile list dialog with its preview, the editor with its
// colour grid, Copy and Apply, and the opener's entry point.
// ctest: run-serial
#include "AppearanceInfoDlgs.h"
#include "HTDataContainer.h"
#include "ObjectCreator.h"
#include "ProfileChoosers.h"
#include "resource.h"
#include "support/infomessages.h"
#include "support/modal.h"
#include "support/profilelists.h"
#include "support/snapshot.h"
#include "support/wndtest.h"

namespace
{
::testing::Environment* const s_env = ::testing::AddGlobalTestEnvironment(new testsupport::Environment());

class AppearanceDlgTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        testsupport::ResetBuiltInProfiles();
        m_preview.SetGridSize(9, 9);
    }
    void TearDown() override
    {
        if (::IsWindow(m_list.m_hWnd))
            m_list.DestroyWindow();
        testsupport::PumpPending();
    }
    void OpenList()
    {
        m_list.m_pObjectCreator = &m_creator;
        m_list.m_nListCtrlType = m_list.m_nInfoDlgType = htpkAppearance;
        m_list.m_strTitle = "Appearance Profile List";
        m_list.m_bNoToolTips = true;
        m_list.SetPreviewContainer(&m_preview);
        ASSERT_TRUE(m_list.Create(IDD_APPEARANCE_PROFILE_LIST, NULL));
        m_list.ShowWindow(SW_SHOWNA);
    }
    void Click(int nID)
    {
        m_list.SendMessage(WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), (LPARAM)::GetDlgItem(m_list.m_hWnd, nID));
    }
    void SelectRow(int nRow)
    {
        m_list.m_pListCtrl->SetItemState(-1, 0, LVIS_SELECTED);
        if (nRow >= 0)
            m_list.m_pListCtrl->SetItemState(nRow, LVIS_SELECTED, LVIS_SELECTED);
    }
    COLORREF SquareBorder()
    {
        CHTSquareData square;
        return m_preview.GetSquare(0, 0, square) ? square.m_crSquareBorder : CLR_INVALID;
    }
    // Opens the editor with Add or Amend and runs pfnAction in it.
    void EditWith(int nButton, std::function<void(CAppearanceDlg&, HWND)> pfnAction)
    {
        testsupport::ModalDriver driver(
            [&](HWND hDlg) {
                CAppearanceDlg* pDlg = dynamic_cast<CAppearanceDlg*>(CWnd::FromHandlePermanent(hDlg));
                ASSERT_TRUE(pDlg != NULL);
                testsupport::ModalDriver::ShowNow(hDlg);
                pfnAction(*pDlg, hDlg);
                if (::IsWindow(hDlg) && pDlg->ContinueModal())
                    testsupport::ModalDriver::Press(hDlg, IDCANCEL);
            },
            m_list.m_hWnd);
        Click(nButton);
        EXPECT_TRUE(driver.HasRun());
    }

    testsupport::InfoMessageRecorder m_messages;
    CHTDataContainer m_preview;
    CObjectCreator m_creator;
    CAppearanceInfoListDlg m_list;
};

TEST_F(AppearanceDlgTest, OpensOnTheFirstProfileAndThePreviewFollowsTheSelection)
{
    OpenList();
    ASSERT_EQ(2, m_list.m_pListCtrl->GetItemCount());
    EXPECT_STREQ("Standard", m_list.m_pListCtrl->GetItemText(0, 1));
    EXPECT_STREQ("0", m_list.m_pListCtrl->GetItemText(0, 0));
    EXPECT_EQ(35, m_list.m_pListCtrl->GetColumnWidth(0));
    EXPECT_EQ(0, m_list.m_pListCtrl->GetNextItem(-1, LVNI_SELECTED));
    EXPECT_EQ(LVIS_FOCUSED, (int)m_list.m_pListCtrl->GetItemState(0, LVIS_FOCUSED));
    EXPECT_EQ(&m_preview, m_list.m_wndPreview.m_pContainer);
    EXPECT_EQ(CAppearanceInfo::MakeStandardProfile().m_crSquareBorder, SquareBorder());
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(m_list.m_hWnd, "appearance_list").empty());

    SelectRow(1);
    EXPECT_EQ(RGB(100, 100, 100), SquareBorder());
}

TEST_F(AppearanceDlgTest, ApplyHandsBackTheChosenProfileOrAsksForAChoice)
{
    OpenList();
    SelectRow(-1);
    Click(IDOK);
    ASSERT_EQ(1u, testsupport::InfoMessages().size());
    EXPECT_EQ("Please select an item then click select.", testsupport::InfoMessages()[0]);
    EXPECT_EQ(-1, m_list.m_nSelectedIndex);

    SelectRow(1);
    Click(IDOK);
    EXPECT_EQ(1, m_list.m_nSelectedIndex);
}

TEST_F(AppearanceDlgTest, CopyAppendsCopyOfTheSelectedProfile)
{
    OpenList();
    SelectRow(-1);
    Click(IDC_PROFILE_COPY);
    ASSERT_EQ(1u, testsupport::InfoMessages().size());
    EXPECT_EQ("Please select an item then click copy.", testsupport::InfoMessages()[0]);

    SelectRow(1);
    Click(IDC_PROFILE_COPY);
    ASSERT_EQ(3, m_list.m_pListCtrl->GetItemCount());
    EXPECT_STREQ("Copy of Printing", m_list.m_pListCtrl->GetItemText(2, 1));
    EXPECT_STREQ("2", m_list.m_pListCtrl->GetItemText(2, 0));
    EXPECT_EQ(2, m_list.m_pListCtrl->GetNextItem(-1, LVNI_SELECTED));
    CAppearanceInfo copy;
    ASSERT_TRUE(g_ApplicationInfo.m_AppearanceInfoList.FindProfile(2, copy));
    EXPECT_EQ(CAppearanceInfo::MakePrintingProfile().m_crShadedFill, copy.m_crShadedFill);

    // Amend without a selection does nothing at all (no editor, no message).
    SelectRow(-1);
    Click(IDC_PROFILE_AMEND);
    EXPECT_EQ(1u, testsupport::InfoMessages().size());
}

TEST_F(AppearanceDlgTest, EditorNeedsANameAndStoresItsWorkingCopyOnce)
{
    OpenList();
    EditWith(IDC_PROFILE_ADD, [&](CAppearanceDlg& dlg, HWND hDlg) {
        EXPECT_EQ(0, dlg.m_nEditMode);
        EXPECT_EQ(17, dlg.m_wndGrid.GetGridView().GetCount());
        EXPECT_FALSE(testsupport::SaveScreenSnapshot(hDlg, "appearance_editor").empty());

        dlg.SendMessage(WM_COMMAND, IDOK);
        EXPECT_TRUE(::IsWindow(hDlg));
        EXPECT_EQ(2, (int)g_ApplicationInfo.m_AppearanceInfoList.GetCount());

        // The grid's edits change only the working copy.
        dlg.m_wndGrid.FindItem(htacShadedFill)->OnValueChanged("1; 2; 3");
        EXPECT_EQ(RGB(1, 2, 3), dlg.m_AppearanceInfo.m_crShadedFill);
        ::SetDlgItemText(hDlg, IDC_PROFILE_NAME, "Mine");
        dlg.SendMessage(WM_COMMAND, IDOK);
    });
    ASSERT_EQ(1u, testsupport::InfoMessages().size());
    EXPECT_EQ("Please enter a Profile Name.", testsupport::InfoMessages()[0]);
    ASSERT_EQ(3, (int)g_ApplicationInfo.m_AppearanceInfoList.GetCount());
    CAppearanceInfo added = g_ApplicationInfo.m_AppearanceInfoList.GetTail();
    EXPECT_STREQ("Mine", added.m_strProfileName);
    EXPECT_EQ(2, added.m_nIndex);
    EXPECT_EQ(RGB(1, 2, 3), added.m_crShadedFill);
    EXPECT_STREQ("Mine", m_list.m_pListCtrl->GetItemText(2, 1));
}

TEST_F(AppearanceDlgTest, CancelLeavesTheProfileAsItWasAndAmendStoresIt)
{
    OpenList();
    SelectRow(0);
    EditWith(IDC_PROFILE_AMEND, [&](CAppearanceDlg& dlg, HWND hDlg) {
        CString strName;
        ::GetDlgItemText(hDlg, IDC_PROFILE_NAME, strName.GetBuffer(64), 64);
        strName.ReleaseBuffer();
        EXPECT_STREQ("Standard", strName);
        dlg.m_wndGrid.FindItem(htacMCOff)->OnValueChanged("0; 0; 255");
        dlg.SendMessage(WM_COMMAND, IDCANCEL);
    });
    CAppearanceInfo profile;
    ASSERT_TRUE(g_ApplicationInfo.m_AppearanceInfoList.FindProfile(0, profile));
    EXPECT_EQ(CAppearanceInfo::MakeStandardProfile().m_crMCOff, profile.m_crMCOff);

    SelectRow(0);
    EditWith(IDC_PROFILE_AMEND, [&](CAppearanceDlg& dlg, HWND) {
        dlg.m_wndGrid.FindItem(htacMCOff)->OnValueChanged("0; 0; 255");
        dlg.SendMessage(WM_COMMAND, IDOK);
    });
    ASSERT_TRUE(g_ApplicationInfo.m_AppearanceInfoList.FindProfile(0, profile));
    EXPECT_EQ(RGB(0, 0, 255), profile.m_crMCOff);
    EXPECT_EQ(2, (int)g_ApplicationInfo.m_AppearanceInfoList.GetCount());
}

TEST_F(AppearanceDlgTest, TheOpenersEntryPointShowsTheListModally)
{
    CHTDataContainer preview;
    preview.SetGridSize(5, 5);
    int nSelected = -2;
    testsupport::ModalDriver driver([](HWND hDlg) {
        CString strTitle;
        ::GetWindowText(hDlg, strTitle.GetBuffer(128), 128);
        strTitle.ReleaseBuffer();
        EXPECT_STREQ("Appearance Profile List", strTitle);
        CListCtrl* pList = (CListCtrl*)CWnd::FromHandle(::GetDlgItem(hDlg, IDC_PROFILE_LIST));
        pList->SetItemState(-1, 0, LVIS_SELECTED);
        pList->SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
        testsupport::ModalDriver::Press(hDlg, IDOK);
    });
    EXPECT_EQ(IDOK, RunProfileListDlg(htpkAppearance, NULL, &preview, &nSelected));
    EXPECT_EQ(1, nSelected);
    CHTSquareData square;
    ASSERT_TRUE(preview.GetSquare(0, 0, square));
    EXPECT_EQ(RGB(100, 100, 100), square.m_crSquareBorder);

    testsupport::ModalDriver closer([](HWND hDlg) {
        EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(hDlg, IDC_PROFILE_COPY)));
        testsupport::ModalDriver::Press(hDlg, IDCANCEL);
    });
    EXPECT_EQ(IDCANCEL, RunProfileListDlg(htpkDifficulty, NULL, NULL, &nSelected, FALSE));
    EXPECT_EQ(-1, nSelected);
}
} // namespace
