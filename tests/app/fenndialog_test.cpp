// The dialog base: tooltips from the string table for the dialog's
// controls, the relay from any window inside a control, no tooltips when
// asked, and no help on F1.
// ctest: run-serial
#include "support/gameapp.h"
#include "support/modal.h"
#include "support/wndtest.h"
#include "FennDialog.h"
#include "resource.h"

namespace
{
::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new testsupport::Environment);

// Controls whose ids have strings (3500 "OK", 14 "Easy"), one without, and
// the common buttons 1 and 2.
testsupport::DialogTemplate MakeTemplate()
{
    testsupport::DialogTemplate tmpl("Tips", WS_POPUP | WS_CAPTION, 200, 80);
    tmpl.AddItem("BUTTON", "Tip", IDS_OK, BS_PUSHBUTTON, 5, 5, 40, 14);
    tmpl.AddItem("COMBOBOX", "", IDS_GRADE_EASY, CBS_DROPDOWN | WS_VSCROLL, 5, 25, 80, 60);
    tmpl.AddItem("BUTTON", "None", 4242, BS_PUSHBUTTON, 90, 5, 40, 14);
    tmpl.AddItem("BUTTON", "OK", IDOK, BS_PUSHBUTTON, 90, 25, 40, 14);
    tmpl.AddItem("BUTTON", "Cancel", IDCANCEL, BS_PUSHBUTTON, 140, 25, 40, 14);
    return tmpl;
}

class TestDialog : public CSubvertedHelpDlg
{
public:
    explicit TestDialog(bool bNoToolTips) : CSubvertedHelpDlg(0)
    {
        m_bNoToolTips = bNoToolTips;
        m_tmpl.reset(new testsupport::DialogTemplate(MakeTemplate()));
        CreateIndirect(m_tmpl->Get(), NULL);
    }
    ~TestDialog()
    {
        if (::IsWindow(m_hWnd))
            DestroyWindow();
    }
    std::unique_ptr<testsupport::DialogTemplate> m_tmpl;
};

// The windows the tooltip control was asked to relay for.
std::vector<HWND>& Relayed()
{
    static std::vector<HWND> list;
    return list;
}
WNDPROC g_pfnTipProc = NULL;
LRESULT CALLBACK RecordingTipProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == TTM_RELAYEVENT && lParam != 0)
        Relayed().push_back(((const MSG*)lParam)->hwnd);
    return ::CallWindowProc(g_pfnTipProc, hWnd, message, wParam, lParam);
}
} // namespace

TEST(FennDialog, ControlsWithAStringGetItAsTheirTipAndNoOtherDo)
{
    TestDialog dlg(false);
    ASSERT_TRUE(::IsWindow(dlg.m_wndToolTip.GetSafeHwnd()));
    EXPECT_TRUE(dlg.m_bToolTipsCreated);
    EXPECT_EQ(2, dlg.m_wndToolTip.GetToolCount());

    CString strTip;
    dlg.m_wndToolTip.GetText(strTip, dlg.GetDlgItem(IDS_OK));
    EXPECT_STREQ("OK", strTip);
    dlg.m_wndToolTip.GetText(strTip, dlg.GetDlgItem(IDS_GRADE_EASY));
    EXPECT_STREQ("Easy", strTip);
    CToolInfo info;
    EXPECT_FALSE(dlg.m_wndToolTip.GetToolInfo(info, dlg.GetDlgItem(4242)));
    EXPECT_FALSE(dlg.m_wndToolTip.GetToolInfo(info, dlg.GetDlgItem(IDOK)));
    EXPECT_FALSE(dlg.m_wndToolTip.GetToolInfo(info, dlg.GetDlgItem(IDCANCEL)));

    EXPECT_EQ(ROOK_TOOLTIP_BACK_COLOUR, (COLORREF)dlg.m_wndToolTip.SendMessage(TTM_GETTIPBKCOLOR));
    EXPECT_EQ(ROOK_TOOLTIP_TEXT_COLOUR, (COLORREF)dlg.m_wndToolTip.SendMessage(TTM_GETTIPTEXTCOLOR));

    HWND hTip = dlg.m_wndToolTip.m_hWnd;
    dlg.DestroyWindow();
    EXPECT_FALSE(::IsWindow(hTip));
}

TEST(FennDialog, MouseMessagesAreRelayedAsComingFromTheDialogsOwnControl)
{
    TestDialog dlg(false);
    g_pfnTipProc = (WNDPROC)::SetWindowLongPtr(dlg.m_wndToolTip.m_hWnd, GWLP_WNDPROC, (LONG_PTR)&RecordingTipProc);
    Relayed().clear();

    COMBOBOXINFO info = {sizeof(info)};
    ASSERT_TRUE(::GetComboBoxInfo(dlg.GetDlgItem(IDS_GRADE_EASY)->m_hWnd, &info));
    MSG msg = {info.hwndItem, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3)};
    dlg.PreTranslateMessage(&msg);
    msg.message = WM_KEYDOWN;     // not a mouse message: not relayed
    dlg.PreTranslateMessage(&msg);
    msg = {dlg.GetDlgItem(IDS_OK)->m_hWnd, WM_LBUTTONDOWN, 0, 0};
    dlg.PreTranslateMessage(&msg);

    ASSERT_EQ(2u, Relayed().size());
    EXPECT_EQ(dlg.GetDlgItem(IDS_GRADE_EASY)->m_hWnd, Relayed()[0]);
    EXPECT_EQ(dlg.GetDlgItem(IDS_OK)->m_hWnd, Relayed()[1]);
}

TEST(FennDialog, NoToolTipsMeansNoTooltipWindowAndNothingRelayed)
{
    TestDialog dlg(true);
    EXPECT_EQ(NULL, dlg.m_wndToolTip.GetSafeHwnd());
    EXPECT_FALSE(dlg.m_bToolTipsCreated);
    MSG msg = {dlg.GetDlgItem(IDS_OK)->m_hWnd, WM_MOUSEMOVE, 0, 0};
    dlg.PreTranslateMessage(&msg);
    EXPECT_FALSE(dlg.m_bToolTipsCreated);
}

TEST(FennDialog, HelpRequestsAreSwallowed)
{
    TestDialog dlg(true);
    HELPINFO info = {sizeof(info)};
    info.iContextType = HELPINFO_WINDOW;
    info.hItemHandle = dlg.m_hWnd;
    EXPECT_EQ(TRUE, dlg.SendMessage(WM_HELP, 0, (LPARAM)&info));
}

namespace
{
// A game dialog run modally from a template in memory, given no parent.
class ModalTestDialog : public CSubvertedHelpDlg
{
public:
    ModalTestDialog() : CSubvertedHelpDlg(0), m_tmpl(MakeTemplate())
    {
        m_bNoToolTips = true;
        InitModalIndirect(m_tmpl.Get(), NULL);
    }
    testsupport::DialogTemplate m_tmpl;
};
} // namespace

// A dialog or question given no parent opens owned by the game's window and
// centred on it, though a floating window of the game was active last; one
// opened while it runs is owned by it. Each counts as open while it runs.
TEST(FennDialog, ADialogGivenNoParentIsOwnedByTheGamesWindowNotByAFloatingWindow)
{
    testsupport::GameApp game;
    ASSERT_TRUE(game.Started());
    CMainFrame* pFrame = game.Frame();
    pFrame->SetWindowPos(NULL, 40, 30, 800, 600, SWP_NOZORDER);
    pFrame->SetForegroundWindow();

    // A floating window of the game (as a floating pane or toolbar), the one
    // the player clicked last, away from the frame's centre.
    CWnd floating;
    ASSERT_TRUE(floating.CreateEx(WS_EX_TOOLWINDOW, AfxRegisterWndClass(0), "Floating",
                                  WS_POPUP | WS_CAPTION | WS_VISIBLE, CRect(900, 600, 1100, 800), pFrame, 0));
    floating.SetForegroundWindow();
    ::SetActiveWindow(floating.m_hWnd);
    testsupport::PumpPending();
    ASSERT_EQ(floating.m_hWnd, ::GetLastActivePopup(pFrame->m_hWnd));
    EXPECT_EQ(pFrame, GetGameDialogOwner());
    EXPECT_EQ(0, CGameDialogScope::GetOpenCount());

    ModalTestDialog dlg;
    HWND hOwner = NULL, hNestedOwner = NULL;
    CRect rcDialog;
    int nOpen = 0;
    bool bFrameEnabled = true;
    {
        testsupport::ModalDriver driver([&](HWND hDlg) {
            testsupport::ModalDriver::ShowNow(hDlg);
            ::SetActiveWindow(hDlg);
            hOwner = ::GetWindow(hDlg, GW_OWNER);
            ::GetWindowRect(hDlg, &rcDialog);
            nOpen = CGameDialogScope::GetOpenCount();
            bFrameEnabled = pFrame->IsWindowEnabled() != FALSE;
            CWnd* pNestedOwner = GetGameDialogOwner();
            hNestedOwner = pNestedOwner != NULL ? pNestedOwner->m_hWnd : NULL;
            testsupport::ModalDriver::Press(hDlg, IDCANCEL);
        });
        EXPECT_EQ(IDCANCEL, dlg.DoModal());
        EXPECT_TRUE(driver.HasRun());
    }
    EXPECT_EQ(pFrame->m_hWnd, hOwner) << "owned by the floating window clicked last";
    CRect rcFrame;
    pFrame->GetWindowRect(&rcFrame);
    EXPECT_NEAR(rcFrame.CenterPoint().x, rcDialog.CenterPoint().x, 2);
    EXPECT_NEAR(rcFrame.CenterPoint().y, rcDialog.CenterPoint().y, 2);
    EXPECT_EQ(1, nOpen);
    EXPECT_FALSE(bFrameEnabled) << "the game's window waits for its dialog";
    EXPECT_TRUE(hNestedOwner != NULL && hNestedOwner != pFrame->m_hWnd && hNestedOwner != floating.m_hWnd)
        << "a question of the open dialog is owned by that dialog";
    // Found again at the next run, not kept.
    EXPECT_TRUE(dlg.m_pParentWnd == NULL);
    EXPECT_EQ(0, CGameDialogScope::GetOpenCount());
    EXPECT_TRUE(pFrame->IsWindowEnabled());
    floating.DestroyWindow();
}
