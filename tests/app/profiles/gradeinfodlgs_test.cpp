// The difficulty profile list dialog and editor: columns and rows, Copy,
// Delete, the editor's checks and what it stores, and the combo box.
// ctest: run-serial
#include "GradeInfoDlgs.h"
#include "ObjectCreator.h"
#include "ProfileChoosers.h"
#include "RookMessageDlgs.h"
#include "resource.h"
#include "support/infomessages.h"
#include "support/modal.h"
#include "support/profilelists.h"
#include "support/snapshot.h"
#include "support/window_host.h"
#include "support/wndtest.h"

namespace
{
::testing::Environment* const s_env = ::testing::AddGlobalTestEnvironment(new testsupport::Environment());

std::vector<std::string>& Questions()
{
    static std::vector<std::string> s_questions;
    return s_questions;
}
INT_PTR g_nAnswer = IDOK;
INT_PTR AFXAPI RecordQuestion(const CString& strText, const CString& strYes, const CString& strNo)
{
    Questions().push_back(std::string((LPCSTR)strText) + "|" + (LPCSTR)strYes + "|" + (LPCSTR)strNo);
    return g_nAnswer;
}

class GradeDlgTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        testsupport::ResetBuiltInProfiles();
        m_pfnOldQuestion = SetYesNoMessageHandler(&RecordQuestion);
        Questions().clear();
    }
    void TearDown() override
    {
        SetYesNoMessageHandler(m_pfnOldQuestion);
        if (::IsWindow(m_list.m_hWnd))
            m_list.DestroyWindow();
        testsupport::PumpPending();
    }
    void OpenList(BOOL bAllowCopy = TRUE)
    {
        m_list.m_pObjectCreator = &m_creator;
        m_list.m_nListCtrlType = m_list.m_nInfoDlgType = htpkDifficulty;
        m_list.m_strTitle = "Difficulty Profile List";
        m_list.m_bNoToolTips = true;
        m_list.m_bAllowCopy = bAllowCopy;
        ASSERT_TRUE(m_list.Create(IDD_DIFFICULTY_PROFILE_LIST, NULL));
        m_list.ShowWindow(SW_SHOWNA);
    }
    void Click(CDialog& dlg, int nID)
    {
        dlg.SendMessage(WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), (LPARAM)::GetDlgItem(dlg.m_hWnd, nID));
    }
    CString Cell(int nRow, int nColumn) { return m_list.m_pListCtrl->GetItemText(nRow, nColumn); }
    int SelectedRow() { return m_list.m_pListCtrl->GetNextItem(-1, LVNI_SELECTED); }

    testsupport::InfoMessageRecorder m_messages;
    PFN_SHOWYESNOMESSAGE m_pfnOldQuestion = NULL;
    CObjectCreator m_creator;
    CGradeInfoListDlg m_list;
};

TEST_F(GradeDlgTest, ListShowsSixColumnsAndOneRowPerProfile)
{
    OpenList();
    CListCtrl* pList = m_list.m_pListCtrl;
    ASSERT_TRUE(pList != NULL);
    ASSERT_EQ(4, pList->GetItemCount());
    const int nWidths[] = {35, 145, 60, 60, 120};
    int nTotal = 0;
    for (int i = 0; i < 5; i++)
    {
        EXPECT_EQ(nWidths[i], pList->GetColumnWidth(i)) << i;
        nTotal += nWidths[i];
    }
    CRect rcClient;
    pList->GetClientRect(&rcClient);
    EXPECT_EQ(rcClient.Width() - nTotal, pList->GetColumnWidth(5));

    EXPECT_STREQ("Fiendish", Cell(3, 1));
    EXPECT_STREQ("3", Cell(3, 0));
    EXPECT_STREQ("17", Cell(3, 2));
    EXPECT_STREQ("17", Cell(3, 3));
    EXPECT_STREQ("10", Cell(3, 4));
    EXPECT_STREQ("True", Cell(3, 5));
    EXPECT_STREQ("False", Cell(0, 5));
    EXPECT_EQ(3u, pList->GetItemData(3));
    CRookGenericListCtrl* pGeneric = m_list.m_pListCtrl;
    EXPECT_TRUE(pGeneric->IsKindOf(RUNTIME_CLASS(CRookGenericListCtrl)));
    EXPECT_STREQ("CGradeInfoListCtrl", pGeneric->GetRuntimeClass()->m_lpszClassName);
    EXPECT_EQ(RGB(198, 198, 198), ((CGradeInfoListCtrl*)pGeneric)->m_clrEvenRowBack);
    EXPECT_EQ(RGB(181, 189, 210), ((CGradeInfoListCtrl*)pGeneric)->m_clrOddRowBack);
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(m_list.m_hWnd, "difficulty_list").empty());
}

TEST_F(GradeDlgTest, CopyIsOfferedOnlyWhenAllowedAndAppendsASelectedCopy)
{
    OpenList(FALSE);
    EXPECT_FALSE(m_list.m_btnCopy.IsWindowEnabled());
    m_list.DestroyWindow();

    OpenList(TRUE);
    EXPECT_TRUE(m_list.m_btnCopy.IsWindowEnabled());
    Click(m_list, IDC_PROFILE_COPY);
    ASSERT_EQ(1u, testsupport::InfoMessages().size());
    EXPECT_EQ("Please select an item then click copy.", testsupport::InfoMessages()[0]);
    EXPECT_EQ(4, m_list.m_pListCtrl->GetItemCount());

    m_list.m_pListCtrl->SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    Click(m_list, IDC_PROFILE_COPY);
    ASSERT_EQ(5, m_list.m_pListCtrl->GetItemCount());
    EXPECT_STREQ("Copy of Easy", Cell(4, 1));
    EXPECT_STREQ("4", Cell(4, 0));
    EXPECT_EQ(4, SelectedRow());
    EXPECT_EQ(LVIS_FOCUSED, (int)m_list.m_pListCtrl->GetItemState(4, LVIS_FOCUSED));
    CGradeInfo copy;
    ASSERT_TRUE(g_ApplicationInfo.m_GradeInfoList.FindProfile(4, copy));
    EXPECT_EQ(CGradeInfo::MakeEasyProfile().m_nColumns, copy.m_nColumns);
}

TEST_F(GradeDlgTest, DeleteAsksFirstAndEmptyListsDisableAmendAndDelete)
{
    OpenList();
    Click(m_list, IDC_PROFILE_DELETE);
    ASSERT_EQ(1u, testsupport::InfoMessages().size());
    EXPECT_EQ("Please select an item, then click 'Delete'.", testsupport::InfoMessages()[0]);
    EXPECT_TRUE(Questions().empty());

    g_nAnswer = IDCANCEL;
    m_list.m_pListCtrl->SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    Click(m_list, IDC_PROFILE_DELETE);
    ASSERT_EQ(1u, Questions().size());
    EXPECT_EQ("Are you sure you want to delete?|Delete|Don't Delete", Questions()[0]);
    EXPECT_EQ(4, m_list.m_pListCtrl->GetItemCount());

    g_nAnswer = IDOK;
    for (int i = 0; i < 4; i++)
    {
        m_list.m_pListCtrl->SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
        Click(m_list, IDC_PROFILE_DELETE);
    }
    EXPECT_EQ(0, m_list.m_pListCtrl->GetItemCount());
    EXPECT_EQ(0, (int)g_ApplicationInfo.m_GradeInfoList.GetCount());
    EXPECT_FALSE(m_list.m_btnAmend.IsWindowEnabled());
    EXPECT_FALSE(m_list.m_btnDelete.IsWindowEnabled());
    EXPECT_TRUE(m_list.m_btnAdd.IsWindowEnabled());
}

TEST_F(GradeDlgTest, SelectHandsBackTheChosenIndexOrAsksForAChoice)
{
    OpenList();
    Click(m_list, IDOK);
    ASSERT_EQ(1u, testsupport::InfoMessages().size());
    EXPECT_EQ("Please select an item then click select.", testsupport::InfoMessages()[0]);
    EXPECT_TRUE(::IsWindow(m_list.m_hWnd));
    EXPECT_EQ(-1, m_list.m_nSelectedIndex);

    m_list.m_pListCtrl->SetItemState(2, LVIS_SELECTED, LVIS_SELECTED);
    Click(m_list, IDOK);
    EXPECT_EQ(2, m_list.m_nSelectedIndex);
}

// The editor, shown modally by the list's Add, driven from a timer.
class GradeEditorTest : public GradeDlgTest
{
protected:
    // Presses Add and runs pfnAction in the editor while it is open.
    void AddWith(std::function<void(CGradeInfoDlg&, HWND)> pfnAction)
    {
        OpenList();
        HWND hList = m_list.m_hWnd;
        testsupport::ModalDriver driver(
            [&](HWND hDlg) {
                CGradeInfoDlg* pDlg = dynamic_cast<CGradeInfoDlg*>(CWnd::FromHandlePermanent(hDlg));
                ASSERT_TRUE(pDlg != NULL);
                testsupport::ModalDriver::ShowNow(hDlg);
                pfnAction(*pDlg, hDlg);
                if (::IsWindow(hDlg) && pDlg->ContinueModal())
                    testsupport::ModalDriver::Press(hDlg, IDCANCEL);
            },
            hList);
        Click(m_list, IDC_PROFILE_ADD);
        EXPECT_TRUE(driver.HasRun());
    }
    void Set(CGradeInfoDlg& dlg, UINT nID, LPCTSTR lpszValue)
    {
        CXTPPropertyGridItem* pItem = dlg.m_wndGrid.FindItem(nID);
        ASSERT_TRUE(pItem != NULL);
        pItem->OnValueChanged(lpszValue);
    }
    void PressOK(CGradeInfoDlg& dlg) { dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0); }
};

TEST_F(GradeEditorTest, ANewProfileStartsAtNineByNineWithNothingOn)
{
    AddWith([&](CGradeInfoDlg& dlg, HWND) {
        CGradeInfoPropGrid& grid = dlg.m_wndGrid;
        EXPECT_STREQ("", grid.FindItem(500)->GetValue());
        EXPECT_STREQ("9", grid.FindItem(501)->GetValue());
        EXPECT_STREQ("9", grid.FindItem(502)->GetValue());
        for (UINT nID = 503; nID <= 507; nID++)
            EXPECT_STREQ("False", grid.FindItem(nID)->GetValue()) << nID;
        EXPECT_STREQ("0", grid.FindItem(509)->GetValue());
        EXPECT_STREQ("False", grid.FindItem(510)->GetValue());
        // Every row can be edited in the editor.
        for (UINT nID = 500; nID <= 510; nID++)
        {
            if (grid.FindItem(nID) != NULL)
            {
                EXPECT_FALSE(grid.FindItem(nID)->GetReadOnly()) << nID;
            }
        }
        EXPECT_EQ(-1, dlg.m_nItemKey);
        EXPECT_EQ(0, dlg.m_nEditMode);
        EXPECT_FALSE(testsupport::SaveScreenSnapshot(dlg.m_hWnd, "difficulty_editor").empty());
    });
    EXPECT_EQ(4, (int)g_ApplicationInfo.m_GradeInfoList.GetCount());
}

TEST_F(GradeEditorTest, OKChecksNameSizeAndTimeBeforeStoringAnything)
{
    AddWith([&](CGradeInfoDlg& dlg, HWND hDlg) {
        PressOK(dlg);
        Set(dlg, 500, "Tiny");
        Set(dlg, 501, "4");
        PressOK(dlg);
        Set(dlg, 501, "18");
        PressOK(dlg);
        Set(dlg, 501, "5");
        Set(dlg, 502, "18");
        PressOK(dlg);
        Set(dlg, 502, "17");
        Set(dlg, 510, "True");
        PressOK(dlg);
        Set(dlg, 509, "61");
        PressOK(dlg);
        EXPECT_TRUE(::IsWindow(hDlg));
        EXPECT_EQ(4, (int)g_ApplicationInfo.m_GradeInfoList.GetCount());
        Set(dlg, 509, "60");
        PressOK(dlg);
    });
    std::vector<std::string> expected = {
        "Please enter a Profile Name.",
        "Please enter a number between 5 and 17 for the number of Columns.",
        "Please enter a number between 5 and 17 for the number of Columns.",
        "Please enter a number between 5 and 17 for the number of Rows.",
        "'Minutes To Complete' must be between 1 and 60",
        "'Minutes To Complete' must be between 1 and 60",
    };
    EXPECT_EQ(expected, testsupport::InfoMessages());

    // The refused and then corrected profile is stored once, as the last
    // row, with the next free index.
    ASSERT_EQ(5, (int)g_ApplicationInfo.m_GradeInfoList.GetCount());
    CGradeInfo added = g_ApplicationInfo.m_GradeInfoList.GetTail();
    EXPECT_STREQ("Tiny", added.m_strProfileName);
    EXPECT_EQ(4, added.m_nIndex);
    EXPECT_EQ(5, added.m_nColumns);
    EXPECT_EQ(17, added.m_nRows);
    EXPECT_EQ(60, added.m_nMinutesToComplete);
    EXPECT_EQ(1, added.m_bForceComplete);
    ASSERT_EQ(5, m_list.m_pListCtrl->GetItemCount());
    EXPECT_STREQ("Tiny", Cell(4, 1));
}

TEST_F(GradeEditorTest, WithoutForceCompleteZeroMinutesAreAllowed)
{
    AddWith([&](CGradeInfoDlg& dlg, HWND) {
        Set(dlg, 500, "Relaxed");
        PressOK(dlg);
    });
    EXPECT_TRUE(testsupport::InfoMessages().empty());
    ASSERT_EQ(5, (int)g_ApplicationInfo.m_GradeInfoList.GetCount());
    EXPECT_EQ(0, g_ApplicationInfo.m_GradeInfoList.GetTail().m_nMinutesToComplete);
}

TEST_F(GradeEditorTest, AmendChangesTheChosenProfileAndCancelChangesNothing)
{
    OpenList();
    HWND hList = m_list.m_hWnd;
    auto amend = [&](bool bOK) {
        testsupport::ModalDriver driver(
            [&](HWND hDlg) {
                CGradeInfoDlg* pDlg = dynamic_cast<CGradeInfoDlg*>(CWnd::FromHandlePermanent(hDlg));
                ASSERT_TRUE(pDlg != NULL);
                EXPECT_STREQ("Mild", pDlg->m_wndGrid.FindItem(500)->GetValue());
                pDlg->m_wndGrid.FindItem(509)->OnValueChanged("42");
                testsupport::ModalDriver::Press(hDlg, bOK ? IDOK : IDCANCEL);
            },
            hList);
        m_list.m_pListCtrl->SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
        Click(m_list, IDC_PROFILE_AMEND);
        EXPECT_TRUE(driver.HasRun());
    };
    CGradeInfo before;
    ASSERT_TRUE(g_ApplicationInfo.m_GradeInfoList.FindProfile(1, before));
    amend(false);
    CGradeInfo after;
    ASSERT_TRUE(g_ApplicationInfo.m_GradeInfoList.FindProfile(1, after));
    EXPECT_EQ(before.m_nMinutesToComplete, after.m_nMinutesToComplete);

    amend(true);
    ASSERT_TRUE(g_ApplicationInfo.m_GradeInfoList.FindProfile(1, after));
    EXPECT_EQ(42, after.m_nMinutesToComplete);
    EXPECT_EQ(4, (int)g_ApplicationInfo.m_GradeInfoList.GetCount());
    EXPECT_STREQ("42", Cell(1, 4));
}

TEST_F(GradeDlgTest, ComboOffersTheProfilesByNameWithTheirIndexes)
{
    testsupport::NotifyHost host;
    ASSERT_TRUE(host.CreateHost(40, 40, 200, 200));
    CGradeInfoComboBox combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(5, 5, 150, 150), &host, 1));
    combo.FillProfiles();
    const char* names[] = {"Easy", "Mild", "Difficult", "Fiendish"};
    ASSERT_EQ(4, combo.GetCount());
    for (int i = 0; i < 4; i++)
    {
        CString strText;
        combo.GetLBText(i, strText);
        EXPECT_STREQ(names[i], strText);
        EXPECT_EQ((DWORD_PTR)i, combo.GetItemData(i));
    }
    EXPECT_EQ(0, combo.GetCurSel());
    combo.DestroyWindow();
    host.DestroyWindow();
}
} // namespace
