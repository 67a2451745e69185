// A window hosted on a bar as a control; on a bar docked at a side, a
// control whose window hides stands as a button of its caption, met with
// the real pointer.
// ctest: run-serial
#include <gtest/gtest.h>

#include "XTPControlCustom.h"
#include "XTPPaintManager.h"
#include "support/bars_frame.h"
#include "support/canvas.h"
#include "support/mouseinput.h"
#include "support/pump.h"
#include "support/snapshot.h"

using testsupport::CBarsFrame;

TEST(ControlCustomTest, TheWindowSitsInsideTheBordersAndFollowsTheDockSide)
{
    CBarsFrame* pFrame = CBarsFrame::Create();
    CXTPToolBar* pBar = pFrame->AddToolBar("Timer", {{100, "Go"}});
    CWnd clock;
    ASSERT_TRUE(clock.CreateEx(0, "STATIC", "12:00", WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 20), pFrame, 2028));

    CXTPControlCustom* pCustom = CXTPControlCustom::CreateControlCustom(&clock);
    EXPECT_EQ(2028, pCustom->GetControlId());
    EXPECT_EQ(xtpFlagNoMovable, pCustom->GetFlags());
    pCustom->SetBorders(2, 3, 2, 3);
    pBar->GetControls()->Add(pCustom, 2028);
    EXPECT_EQ(CSize(104, 26), pCustom->GetSize(NULL));

    pCustom->SetRect(CRect(50, 0, 154, 26));
    EXPECT_EQ(pBar->m_hWnd, ::GetParent(clock.m_hWnd)) << "the bar becomes the window's parent";
    CRect rcClock;
    clock.GetWindowRect(&rcClock);
    pBar->ScreenToClient(&rcClock);
    EXPECT_EQ(CRect(52, 3, 152, 23), rcClock);

    // Option 0: hidden on a vertical bar. Option 2: a button, the window hidden.
    pCustom->OnCalcDynamicSize(LM_VERTDOCK);
    EXPECT_FALSE(pCustom->IsVisible());
    pCustom->OnCalcDynamicSize(LM_HORZDOCK);
    EXPECT_TRUE(pCustom->IsVisible());
    pCustom->SetVerticalPositionOption(CXTPControlCustom::xtpVerticalButton);
    pCustom->OnCalcDynamicSize(LM_VERTDOCK);
    EXPECT_TRUE(pCustom->IsVisible());
    EXPECT_FALSE(clock.IsWindowVisible());
    pCustom->OnCalcDynamicSize(LM_HORZDOCK);
    EXPECT_TRUE(clock.IsWindowVisible());

    // The bar's window goes; the clock stays its owner's.
    clock.DestroyWindow();
    pFrame->DestroyWindow();
}

namespace
{
// Lets queued input and painting be handled.
void Settle()
{
    for (int i = 0; i < 10; i++)
    {
        testsupport::PumpPending();
        ::Sleep(10);
    }
}

// Pixels of the rectangle of a bar's drawing much darker than the bar's
// face: the strokes of a caption.
int DarkPixels(CXTPToolBar* pBar, const CRect& rc)
{
    CRect rcClient;
    pBar->GetClientRect(&rcClient);
    testsupport::Canvas canvas(rcClient.Width(), rcClient.Height());
    pBar->SendMessage(WM_PRINTCLIENT, (WPARAM)canvas.Handle(), PRF_CLIENT);
    int nDark = 0;
    for (int y = std::max(0, (int)rc.top); y < std::min(rc.bottom, rcClient.bottom); y++)
        for (int x = std::max(0, (int)rc.left); x < std::min(rc.right, rcClient.right); x++)
        {
            COLORREF clr = canvas.Pixel(x, y);
            if (GetRValue(clr) + GetGValue(clr) + GetBValue(clr) < 200)
                nDark++;
        }
    return nDark;
}
} // namespace

// A hosted window with vertical option 2 on a bar docked at the left: the
// window hides and the control keeps its place as a button of its caption,
// drawn, highlighted under the pointer and run by a click, in each theme.
TEST(ControlCustomTest, OnASideBarAHiddenWindowsControlIsAButtonOfItsCaption)
{
    const int nOldTheme = CXTPPaintManager::GetGlobalPaintManager()->GetCurrentTheme();
    CBarsFrame* pFrame = CBarsFrame::Create(CRect(40, 40, 640, 440));
    ASSERT_TRUE(pFrame != NULL);
    CXTPToolBar* pBar = pFrame->AddToolBar("Timer", {{101, "Go"}});
    CWnd clock;
    ASSERT_TRUE(clock.CreateEx(0, "STATIC", "12:00", WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 20), pFrame, 2028));
    CXTPControlCustom* pCustom = CXTPControlCustom::CreateControlCustom(&clock);
    pCustom->SetBorders(3, 3, 3, 3);
    pCustom->SetVerticalPositionOption(CXTPControlCustom::xtpVerticalButton);
    pBar->GetControls()->Add(pCustom, 500);
    pCustom->SetCaption("Clock");
    pFrame->RecalcLayout();
    pFrame->SetForegroundWindow();
    Settle();
    ASSERT_TRUE(clock.IsWindowVisible()) << "docked at the top the window shows";
    const CSize szShown = pCustom->GetRect().Size();
    EXPECT_EQ(CSize(106, 26), szShown);

    ASSERT_TRUE(pFrame->GetCommandBars()->DockCommandBar(pBar, xtpBarLeft));
    pFrame->RecalcLayout();
    Settle();
    ASSERT_EQ(xtpBarLeft, pBar->GetPosition());
    EXPECT_FALSE(clock.IsWindowVisible());

    for (int nTheme : {xtpThemeDefault, xtpThemeOffice, xtpThemeOffice2003, xtpThemeNativeWinXP})
    {
        SCOPED_TRACE(nTheme);
        CXTPPaintManager::SetTheme(nTheme);
        CXTPPaintManager::GetGlobalPaintManager()->m_bEnableAnimation = FALSE;
        pFrame->GetCommandBars()->RedrawCommandBars();
        pFrame->RecalcLayout();
        Settle();

        // Its place: as wide as the bar's buttons, as long as its caption.
        CRect rc = pCustom->GetRect();
        CRect rcGo = pBar->GetControls()->FindControl(101)->GetRect();
        ASSERT_FALSE(rc.IsRectEmpty()) << "the control lost its place";
        EXPECT_EQ(rcGo.Width(), rc.Width());
        EXPECT_GT(rc.Height(), rcGo.Height()) << "a caption longer than Go's";
        EXPECT_GE(rc.top, rcGo.bottom);
        EXPECT_GT(DarkPixels(pBar, rc), 20) << "its caption is drawn";

        // The real pointer over it highlights it; a click runs its command.
        CPoint pt = rc.CenterPoint();
        pBar->ClientToScreen(&pt);
        pFrame->m_arrCommands.clear();
        testsupport::SendInputs({testsupport::MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, CPoint(pt.x - 1, pt.y)),
                                 testsupport::MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, pt)});
        Settle();
        EXPECT_EQ(pCustom->GetIndex(), pBar->GetSelected()) << "hot under the pointer";
        const std::string strName = "custom_control_on_a_left_bar_theme_" + std::to_string(nTheme);
        EXPECT_FALSE(testsupport::SaveScreenSnapshot(pFrame->m_hWnd, strName.c_str()).empty());
        testsupport::SendInputs({testsupport::MouseInput(MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_ABSOLUTE, pt),
                                 testsupport::MouseInput(MOUSEEVENTF_LEFTUP | MOUSEEVENTF_ABSOLUTE, pt)});
        Settle();
        ASSERT_EQ(1u, pFrame->m_arrCommands.size()) << "the click ran nothing";
        EXPECT_EQ(500u, pFrame->m_arrCommands[0]);
        EXPECT_FALSE(clock.IsWindowVisible());
        // Away from the bar.
        ::SetCursorPos(pt.x + 300, pt.y);
        Settle();
    }

    // Back at the top the window shows again in the control's place.
    ASSERT_TRUE(pFrame->GetCommandBars()->DockCommandBar(pBar, xtpBarTop));
    pFrame->RecalcLayout();
    Settle();
    EXPECT_TRUE(clock.IsWindowVisible());
    EXPECT_EQ(szShown, pCustom->GetRect().Size());

    CXTPPaintManager::SetTheme(nOldTheme);
    clock.DestroyWindow();
    pFrame->DestroyWindow();
}
