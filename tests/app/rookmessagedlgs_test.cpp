// The game's message dialogs: their texts and buttons, their results for
// every way of closing them, their placement, and their snapshots.
#include "support/wndtest.h"
#include "support/modal.h"
#include "support/snapshot.h"
#include "GameServices.h"
#include "RookMessageDlgs.h"
#include "XTThemeManager.h"
#include "resource.h"

using testsupport::ModalDriver;

namespace
{
::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new testsupport::Environment);

CString ItemText(HWND hDlg, int nID)
{
    char sz[256] = "";
    ::GetDlgItemTextA(hDlg, nID, sz, sizeof(sz));
    return sz;
}

CString g_strQuietlyAsked;
INT_PTR AFXAPI QuietAnswer(const CString& strText, const CString&, const CString&)
{
    g_strQuietlyAsked = strText;
    return IDCANCEL;
}

// The game runs in the Office 2003 look.
struct MessageDlgTest : ::testing::Test
{
    void SetUp() override { XTThemeManager()->SetTheme(xtThemeOffice2003); }
    void TearDown() override { XTThemeManager()->SetTheme(xtThemeDefault); }
};
} // namespace

TEST_F(MessageDlgTest, YesNoShowsItsTextsAndAnswersOneOnlyForTheFirstButton)
{
    CString strText, strYes, strNo;
    {
        ModalDriver driver([&](HWND hDlg) {
            strText = ItemText(hDlg, IDC_MESSAGE_TEXT);
            strYes = ItemText(hDlg, IDOK);
            strNo = ItemText(hDlg, IDCANCEL);
            ModalDriver::Press(hDlg, IDOK);
        });
        EXPECT_EQ(IDOK, ShowYesNoMessage("Delete it?", "Delete", "Don't Delete"));
    }
    EXPECT_STREQ("Delete it?", strText);
    EXPECT_STREQ("Delete", strYes);
    EXPECT_STREQ("Don't Delete", strNo);

    {
        ModalDriver driver([](HWND hDlg) { ModalDriver::Press(hDlg, IDCANCEL); });
        EXPECT_EQ(IDCANCEL, ShowYesNoMessage("Delete it?", "Delete", "Don't Delete"));
    }
    {
        // Escape, as the keyboard gives it to the focused button.
        ModalDriver driver([](HWND hDlg) {
            ModalDriver::ShowNow(hDlg);
            ::SetFocus(::GetDlgItem(hDlg, IDOK));
            ::PostMessage(::GetDlgItem(hDlg, IDOK), WM_KEYDOWN, VK_ESCAPE, 1);
        });
        EXPECT_EQ(IDCANCEL, ShowYesNoMessage("Delete it?", "Delete", "Don't Delete"));
    }
    {
        ModalDriver driver([](HWND hDlg) { ::PostMessage(hDlg, WM_CLOSE, 0, 0); });
        EXPECT_EQ(IDCANCEL, ShowYesNoMessage("Delete it?", "Delete", "Don't Delete"));
    }
}

TEST_F(MessageDlgTest, YesNoCancelAnswersSixSevenOrTwo)
{
    CString strYes, strNo, strCancel;
    const struct
    {
        int nPress;
        INT_PTR nResult;
    } cases[] = {{IDYES, IDYES}, {IDNO, IDNO}, {IDCANCEL, IDCANCEL}};
    for (const auto& c : cases)
    {
        ModalDriver driver([&](HWND hDlg) {
            strYes = ItemText(hDlg, IDYES);
            strNo = ItemText(hDlg, IDNO);
            strCancel = ItemText(hDlg, IDCANCEL);
            ModalDriver::Press(hDlg, c.nPress);
        });
        EXPECT_EQ(c.nResult, ShowYesNoCancelMessage(LoadResourceString(IDS_GRID_MODIFIED), LoadResourceString(IDS_SAVE),
                                                    LoadResourceString(IDS_DONT_SAVE), LoadResourceString(IDS_CANCEL)));
    }
    EXPECT_STREQ("Save", strYes);
    EXPECT_STREQ("Don't Save", strNo);
    EXPECT_STREQ("Cancel", strCancel);
    ModalDriver driver([](HWND hDlg) { ::PostMessage(hDlg, WM_CLOSE, 0, 0); });
    EXPECT_EQ(IDCANCEL, ShowYesNoCancelMessage("Save?", "Save", "Don't Save", "Cancel"));
}

TEST_F(MessageDlgTest, InformationBoxCaptionsItsButtonAndAnswersOneOrTwo)
{
    CRookInfoMsgDlg::s_strOKCaption = LoadResourceString(IDS_OK);
    CString strButton, strText;
    {
        CRookInfoMsgDlg dlg;
        dlg.m_strMessage = "The puzzle was saved.";
        dlg.m_bNoToolTips = true;
        ModalDriver driver([&](HWND hDlg) {
            strButton = ItemText(hDlg, IDOK);
            strText = ItemText(hDlg, IDC_MESSAGE_TEXT);
            ModalDriver::Press(hDlg, IDOK);
        });
        EXPECT_EQ(IDOK, dlg.DoModal());
    }
    EXPECT_STREQ("OK", strButton);
    EXPECT_STREQ("The puzzle was saved.", strText);

    CRookInfoMsgDlg dlg;
    ModalDriver driver([](HWND hDlg) { ModalDriver::Press(hDlg, IDCANCEL); });
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
}

TEST_F(MessageDlgTest, QuestionsAreCentredOnTheScreenByTheirClientSize)
{
    CRect rcWindow, rcClient;
    ModalDriver driver([&](HWND hDlg) {
        ::GetWindowRect(hDlg, &rcWindow);
        ::GetClientRect(hDlg, &rcClient);
        ModalDriver::Press(hDlg, IDOK);
    });
    ShowYesNoMessage("Where am I?", "Here", "There");
    EXPECT_EQ(::GetSystemMetrics(SM_CXSCREEN) / 2 - rcClient.Width() / 2, rcWindow.left);
    EXPECT_EQ(::GetSystemMetrics(SM_CYSCREEN) / 2 - rcClient.Height() / 2, rcWindow.top);
}

TEST_F(MessageDlgTest, ReplacementsAnswerInsteadOfTheDialogs)
{
    PFN_SHOWYESNOMESSAGE pfnOld = SetYesNoMessageHandler(&QuietAnswer);
    EXPECT_EQ(IDCANCEL, ShowYesNoMessage("Asked quietly", "Yes", "No"));
    EXPECT_STREQ("Asked quietly", g_strQuietlyAsked);
    SetYesNoMessageHandler(pfnOld);
}

TEST_F(MessageDlgTest, SnapshotsOfTheThreeMessageDialogs)
{
    {
        ModalDriver driver([](HWND hDlg) {
            ModalDriver::ShowNow(hDlg);
            EXPECT_FALSE(testsupport::SaveWindowSnapshot(hDlg, "dialog105_yesno").empty());
            ModalDriver::Press(hDlg, IDCANCEL);
        });
        ShowYesNoMessage(LoadResourceString(IDS_CONFIRM_DELETE), LoadResourceString(IDS_DELETE),
                         LoadResourceString(IDS_DONT_DELETE));
    }
    {
        ModalDriver driver([](HWND hDlg) {
            ModalDriver::ShowNow(hDlg);
            EXPECT_FALSE(testsupport::SaveWindowSnapshot(hDlg, "dialog106_yesnocancel").empty());
            ModalDriver::Press(hDlg, IDCANCEL);
        });
        ShowYesNoCancelMessage(LoadResourceString(IDS_GRID_MODIFIED), LoadResourceString(IDS_SAVE),
                               LoadResourceString(IDS_DONT_SAVE), LoadResourceString(IDS_CANCEL));
    }
    CRookInfoMsgDlg::s_strOKCaption = LoadResourceString(IDS_OK);
    CRookInfoMsgDlg dlg;
    dlg.m_strMessage = LoadResourceString(IDS_WRONG_FILE_VERSION);
    ModalDriver driver([](HWND hDlg) {
        ModalDriver::ShowNow(hDlg);
        EXPECT_FALSE(testsupport::SaveWindowSnapshot(hDlg, "dialog107_info").empty());
        ModalDriver::Press(hDlg, IDOK);
    });
    dlg.DoModal();
}
