// ctest: run-serial
// Tooltips of the status bar's child windows, with the real pointer: a
// control placed over a pane shows the tooltip of its string, which the
// frame answers, while a pane's own tooltip still shows.
#include <gtest/gtest.h>

#include "XTPStatusBar.h"
#include "commandbars_game_res.h"
#include "support/pump.h"
#include "support/tooltips.h"
#include "support/wndtest.h"

#include <commctrl.h>

namespace
{
::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new testsupport::Environment);

class CTipsFrame : public CFrameWnd
{
public:
    CXTPStatusBar m_wndStatusBar;
};

// The text a tip window shows now.
CString ShownText(HWND hTip)
{
    char szText[128] = "";
    ::GetWindowTextA(hTip, szText, sizeof(szText));
    return szText;
}

TEST(StatusBarTipsTest, AControlOverAPaneShowsTheTooltipOfItsString)
{
    CTipsFrame* pFrame = new CTipsFrame;
    ASSERT_TRUE(pFrame->Create(NULL, "Status tips", WS_OVERLAPPEDWINDOW, CRect(40, 40, 640, 340)));
    CXTPStatusBar& bar = pFrame->m_wndStatusBar;
    ASSERT_TRUE(bar.Create(pFrame));
    static const UINT indicators[] = {0, 59137, 59138, 59139};
    ASSERT_TRUE(bar.SetIndicators(indicators, 4));
    bar.GetPane(2)->SetTooltip("Num Lock");
    pFrame->ShowWindow(SW_SHOW);
    pFrame->RecalcLayout();
    pFrame->SetForegroundWindow();

    // A button over the first key pane, with the id of a command whose
    // string has a tooltip part.
    CRect rcPane;
    bar.GetItemRect(1, &rcPane);
    CWnd button;
    ASSERT_TRUE(button.CreateEx(0, "BUTTON", "New", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, rcPane, &bar, ID_NEW_PUZZLE));
    testsupport::PumpWalking(pFrame->m_hWnd);

    CPoint pt = rcPane.CenterPoint();
    bar.ClientToScreen(&pt);
    HWND hTip = testsupport::HoverUntilToolTip(pt, [pFrame] { testsupport::PumpWalking(pFrame->m_hWnd); });
    ASSERT_TRUE(hTip != NULL) << "no tip over the control";
    EXPECT_EQ(CString("New Puzzle"), ShownText(hTip));

    // A pane's own tooltip.
    bar.GetItemRect(2, &rcPane);
    pt = rcPane.CenterPoint();
    bar.ClientToScreen(&pt);
    CString strShown;
    for (int i = 0; i < 2 && strShown != "Num Lock"; i++)
    {
        hTip = testsupport::HoverUntilToolTip(pt, [pFrame] { testsupport::PumpWalking(pFrame->m_hWnd); });
        strShown = hTip != NULL ? ShownText(hTip) : CString();
    }
    EXPECT_EQ(CString("Num Lock"), strShown);

    button.DestroyWindow();
    pFrame->DestroyWindow();
    testsupport::PumpWalking(NULL);
}
} // namespace
