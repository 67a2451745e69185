// A window hosted on a bar as a control.
#include <gtest/gtest.h>

#include "XTPControlCustom.h"
#include "support/bars_frame.h"

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
