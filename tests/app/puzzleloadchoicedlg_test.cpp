// The load-choice question: it can only be left with OK, it reports the
// choice, and it looks like the game's other dialogs.
#include "support/wndtest.h"
#include "support/modal.h"
#include "support/snapshot.h"
#include "PuzzleLoadChoiceDlg.h"
#include "XTThemeManager.h"

using testsupport::ModalDriver;

namespace
{
::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new testsupport::Environment);
}

TEST(LoadChoiceTest, EscapeAndTheCloseBoxKeepTheDialogOpen)
{
    CPuzzleLoadChoiceDlg dlg;
    bool bStillOpen = false;
    ModalDriver driver([&](HWND hDlg) {
        ::SendMessage(hDlg, WM_COMMAND, IDCANCEL, 0);
        ::SendMessage(hDlg, WM_CLOSE, 0, 0);
        testsupport::PumpPending();
        bStillOpen = (dlg.m_nFlags & WF_CONTINUEMODAL) != 0;
        HELPINFO info = {sizeof(info)};
        EXPECT_EQ(TRUE, ::SendMessage(hDlg, WM_HELP, 0, (LPARAM)&info));
        ModalDriver::Press(hDlg, IDOK);
    });
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_TRUE(bStillOpen);
    EXPECT_EQ(FALSE, dlg.m_bStartAgain) << "OK with the default continues the saved position";
}

TEST(LoadChoiceTest, StartAgainChoiceIsReported)
{
    ModalDriver driver([](HWND hDlg) {
        ::SendDlgItemMessageA(hDlg, IDC_LOAD_START_AGAIN, BM_CLICK, 0, 0);
        ModalDriver::Press(hDlg, IDOK);
    });
    EXPECT_TRUE(CPuzzleLoadChoiceDlg::AskStartAgain());
}

TEST(LoadChoiceTest, Snapshot)
{
    XTThemeManager()->SetTheme(xtThemeOffice2003);
    CPuzzleLoadChoiceDlg dlg;
    ModalDriver driver([](HWND hDlg) {
        ModalDriver::ShowNow(hDlg);
        EXPECT_FALSE(testsupport::SaveWindowSnapshot(hDlg, "dialog114_load_choice").empty());
        ModalDriver::Press(hDlg, IDOK);
    });
    dlg.DoModal();
    XTThemeManager()->SetTheme(xtThemeDefault);
}
