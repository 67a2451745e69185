// The dialog bar: its caption controls, resizing limits and active caption,
// the caption menu and which points belong to the bar while it tracks.
// ctest: run-serial (a popup closes when another program takes the activation)
#include <gtest/gtest.h>

#include "XTPDialogBar.h"
#include "support/bars_frame.h"
#include "support/snapshot.h"

using testsupport::CBarsFrame;

TEST(DialogBarTest, CaptionResizeAndFocus)
{
    CBarsFrame* pFrame = CBarsFrame::Create();
    CXTPCommandBars* pBars = pFrame->GetCommandBars();
    CXTPDialogBar* pBar = (CXTPDialogBar*)pBars->Add("Profiles", xtpBarLeft, RUNTIME_CLASS(CXTPDialogBar));
    ASSERT_TRUE(pBar != NULL);
    CWnd child;
    ASSERT_TRUE(child.CreateEx(WS_EX_CLIENTEDGE, "EDIT", "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), pBar, 1));
    pBar->SetChild(&child);
    pBar->SetCaption("Appearance");
    pFrame->RecalcLayout();

    // A closeable bar has a close button; the empty caption popup opens nothing.
    CXTPControl* pClose = pBar->GetControls()->FindControl(9149);
    ASSERT_TRUE(pClose != NULL);
    EXPECT_TRUE(pClose->IsVisible());
    EXPECT_EQ(16, pClose->GetRect().Width());
    CXTPDialogBar::CControlCaptionPopup* pCaption =
        dynamic_cast<CXTPDialogBar::CControlCaptionPopup*>(pBar->GetControls()->FindControl(9147));
    ASSERT_TRUE(pCaption != NULL);
    EXPECT_FALSE(pCaption->m_bHasMenu);
    EXPECT_STREQ("Appearance", pCaption->GetCaption());
    EXPECT_TRUE(pCaption->OnSetPopup(TRUE)) << "answers without opening";
    EXPECT_FALSE(pCaption->GetCommandBar()->IsTrackingMode());

    // The child fills the client area inside the margins and the caption.
    CRect rcChild, rcClient;
    child.GetWindowRect(&rcChild);
    pBar->ScreenToClient(&rcChild);
    pBar->GetClientRect(&rcClient);
    CRect rcMargins = pBar->GetClientMargins();
    EXPECT_EQ(rcMargins.left, rcChild.left);
    EXPECT_EQ(rcMargins.top, rcChild.top);
    EXPECT_GT(rcMargins.top, 3) << "the caption lies above the child";

    // Floating, it cannot shrink below 50 x 50.
    ASSERT_TRUE(pBars->FloatCommandBar(pBar));
    CRect rcWindow;
    pBar->GetWindowRect(&rcWindow);
    CSize szBefore = pBar->GetFloatingClientSize();
    pBar->OnResize(CRect(rcWindow.TopLeft(), CSize(40, 40)), HTBOTTOMRIGHT);
    EXPECT_EQ(szBefore, pBar->GetFloatingClientSize());
    pBar->OnResize(CRect(rcWindow.TopLeft(), CSize(220, 180)), HTBOTTOMRIGHT);
    EXPECT_EQ(220 - rcMargins.left - rcMargins.right, pBar->GetFloatingClientSize().cx);

    // The caption is active while the focus is inside the bar.
    child.SetFocus();
    pBar->OnIdleUpdate();
    EXPECT_TRUE(pBar->IsActive());
    pFrame->SetFocus();
    pBar->OnIdleUpdate();
    EXPECT_FALSE(pBar->IsActive());
    EXPECT_FALSE(testsupport::SaveWindowSnapshot(pBar->m_hWnd, "dialog_bar_floating").empty());

    // Not closeable: the close button hides.
    pBar->SetCloseable(FALSE);
    pBar->CalcDynamicLayout(-1, LM_HORZ | LM_COMMIT);
    EXPECT_FALSE(pClose->IsVisible());

    // Clicking a closeable bar's close button hides the bar.
    pBar->SetCloseable(TRUE);
    pBar->CalcDynamicLayout(-1, LM_HORZ | LM_COMMIT);
    pClose->OnExecute();
    EXPECT_FALSE(pBar->IsVisible());
    pFrame->DestroyWindow();
}

TEST(DialogBarTest, TheCaptionMenuDropsBelowTheCaptionAndOnlyTheCaptionBelongsToTheTrackingBar)
{
    CBarsFrame* pFrame = CBarsFrame::Create();
    CXTPCommandBars* pBars = pFrame->GetCommandBars();
    // Docked at the left, where menus of a vertical bar open beside it.
    CXTPDialogBar* pBar = (CXTPDialogBar*)pBars->Add("Profiles", xtpBarLeft, RUNTIME_CLASS(CXTPDialogBar));
    ASSERT_TRUE(pBar != NULL);
    CWnd child;
    ASSERT_TRUE(child.CreateEx(0, "EDIT", "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), pBar, 1));
    pBar->SetChild(&child);
    pBar->GetCaptionPopupBar()->GetControls()->Add(xtpControlButton, 31001)->SetCaption("&Rename");
    pFrame->RecalcLayout();
    pBar->OnRecalcLayout();
    ASSERT_EQ(xtpBarLeft, pBar->GetPosition());

    CXTPControl* pCaption = pBar->GetControls()->FindControl(9147);
    ASSERT_TRUE(pCaption != NULL);
    ASSERT_TRUE(pBar->SetPopuped(pCaption->GetIndex()));
    CXTPPopupBar* pMenu = pBar->GetCaptionPopupBar();
    ASSERT_TRUE(pMenu->GetSafeHwnd() != NULL);
    EXPECT_NE(0u, pMenu->GetPopupFlags() & xtpPopupDown) << "drops down";
    CRect rcCaption = pCaption->GetRect();
    pBar->ClientToScreen(&rcCaption);
    CRect rcMenu;
    pMenu->GetWindowRect(&rcMenu);
    EXPECT_GE(rcMenu.top, rcCaption.bottom - 1) << "under the caption";
    EXPECT_LT(rcMenu.left, rcCaption.right) << "not beside it";

    // While it tracks, the caption strip is the bar's; the hosted window is not.
    CRect rcClient;
    pBar->GetClientRect(&rcClient);
    CPoint ptCaption(rcClient.left + 5, rcClient.top + pBar->GetCaptionHeight() / 2);
    CPoint ptBody(rcClient.CenterPoint().x, rcClient.bottom - 5);
    EXPECT_EQ(1, pBar->HitTestCaption(ptCaption));
    EXPECT_EQ(-2, pBar->HitTestCaption(ptBody));
    pBar->ClientToScreen(&ptCaption);
    pBar->ClientToScreen(&ptBody);
    EXPECT_EQ(1, pBar->HitTestTrackedPoint(ptCaption));
    EXPECT_EQ(-2, pBar->HitTestTrackedPoint(ptBody)) << "not even through the hosted child";
    // A press on the hosted window ends the tracking.
    XTPMouseManager()->PreviewMouseMessage(WM_LBUTTONDOWN, ptBody);
    EXPECT_FALSE(pBar->IsTrackingMode());
    EXPECT_FALSE(pMenu->IsTrackingMode());
    EXPECT_FALSE(pMenu->IsVisible());
    pFrame->DestroyWindow();
}
