// Access keys on Alt, keyboard cues and keyboard tips.
// ctest: run-serial (a popup closes when another program takes the activation)
#include <gtest/gtest.h>

#include "XTPCommandBarKeyboardTip.h"
#include "XTPCommandBarsOptions.h"
#include "XTPControlPopup.h"
#include "XTPPopupBar.h"
#include "support/bars_frame.h"

using testsupport::CBarsFrame;

namespace
{
class KeyboardTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        pFrame = CBarsFrame::Create();
        ASSERT_TRUE(pFrame != NULL);
        pBars = pFrame->GetCommandBars();
        pBar = pFrame->AddToolBar("Tools", {{100, "&File"}, {101, "&Find"}, {102, "&Open"}, {103, "Save"}});
        ASSERT_TRUE(pBar != NULL);
    }
    void TearDown() override
    {
        pBars->HideKeyboardTips();
        pBars->ClosePopups();
        pFrame->DestroyWindow();
    }
    std::vector<CString> TipCaptions()
    {
        std::vector<CString> captions;
        for (INT_PTR i = 0; i < pBars->m_arrKeyboardTips.GetSize(); i++)
            captions.push_back(((CXTPCommandBarKeyboardTip*)pBars->m_arrKeyboardTips[i])->m_strCaption);
        return captions;
    }
    CBarsFrame* pFrame = NULL;
    CXTPCommandBars* pBars = NULL;
    CXTPToolBar* pBar = NULL;
};
} // namespace

TEST_F(KeyboardTest, AnAmbiguousLetterSelectsInTurnAndExecutesNothing)
{
    EXPECT_TRUE(pBars->OnFrameAccel('F'));
    EXPECT_EQ(0, pBar->GetSelected());
    EXPECT_TRUE(pBar->IsTrackingMode());
    EXPECT_TRUE(pFrame->m_arrCommands.empty()) << "two controls mark F";

    EXPECT_TRUE(pBars->OnFrameAccel('F'));
    EXPECT_EQ(1, pBar->GetSelected()) << "a second press moves on";
    EXPECT_TRUE(pBars->OnFrameAccel('F'));
    EXPECT_EQ(0, pBar->GetSelected());
    EXPECT_TRUE(pFrame->m_arrCommands.empty());

    pBar->SetTrackingMode(FALSE);
    EXPECT_TRUE(pBars->OnFrameAccel('O'));
    ASSERT_EQ(1u, pFrame->m_arrCommands.size()) << "one control marks O: it runs";
    EXPECT_EQ(102u, pFrame->m_arrCommands[0]);

    EXPECT_FALSE(pBars->OnFrameAccel('Q'));
    EXPECT_FALSE(pBars->OnFrameAccel(VK_F1)) << "a key without a character";
}

TEST_F(KeyboardTest, FirstLettersCountOnToolbarsUnlessOnlyMarkedLettersMay)
{
    EXPECT_TRUE(pBars->OnFrameAccel('S'));
    ASSERT_EQ(1u, pFrame->m_arrCommands.size()) << "Save has no mark; its first letter serves on a toolbar";
    EXPECT_EQ(103u, pFrame->m_arrCommands[0]);

    pBar->SetTrackingMode(FALSE);
    pBars->GetCommandBarsOptions()->keyboardCuesUse = 1 | 4;
    EXPECT_FALSE(pBars->OnFrameAccel('S'));

    pBars->GetCommandBarsOptions()->keyboardCuesUse = 2;
    EXPECT_FALSE(pBars->OnFrameAccel('O')) << "access keys are off";
    EXPECT_EQ(1u, pFrame->m_arrCommands.size());
}

TEST_F(KeyboardTest, TipsShowTheirLettersAndTakeTypedOnes)
{
    pBars->GetCommandBarsOptions()->bShowKeyboardTips = FALSE;
    pBars->ShowKeyboardTips(pBar, 1);
    EXPECT_TRUE(TipCaptions().empty()) << "the switch is off";

    pBars->GetCommandBarsOptions()->bShowKeyboardTips = TRUE;
    pBars->ShowKeyboardTips(pBar, 1);
    std::vector<CString> captions = TipCaptions();
    ASSERT_EQ(3u, captions.size()) << "Save has no marked letter";
    EXPECT_STREQ("FI", captions[0]);
    EXPECT_STREQ("FN", captions[1]);
    EXPECT_STREQ("O", captions[2]);
    EXPECT_EQ(pBar, pBars->GetKeyboardTipsOwner());
    EXPECT_EQ(1, pBar->GetKeyboardTipLevel());
    CXTPCommandBarKeyboardTip* pTip = (CXTPCommandBarKeyboardTip*)pBars->m_arrKeyboardTips[0];
    ASSERT_TRUE(pTip->GetSafeHwnd() != NULL);
    EXPECT_TRUE(pTip->IsWindowVisible());
    EXPECT_EQ(HTTRANSPARENT, pTip->SendMessage(WM_NCHITTEST, 0, 0));

    EXPECT_TRUE(pBars->OnKeyboardTipChar(pBar, 'F'));
    EXPECT_EQ(2u, TipCaptions().size()) << "F narrows the tips to those that begin with it";
    EXPECT_TRUE(pBars->OnKeyboardTipChar(pBar, 'N'));
    ASSERT_EQ(1u, pFrame->m_arrCommands.size());
    EXPECT_EQ(101u, pFrame->m_arrCommands[0]);
    EXPECT_TRUE(TipCaptions().empty());
    EXPECT_EQ(NULL, pBars->GetKeyboardTipsOwner());

    pBars->ShowKeyboardTips(pBar, 1);
    pBars->HideKeyboardTips();
    EXPECT_TRUE(TipCaptions().empty());
    EXPECT_EQ(0, pBars->GetKeyboardTipsLevel());
}

// "&&" writes a literal '&': the access letter and the tip are those of the
// character after the first single '&'; a caption without one has no tip.
TEST_F(KeyboardTest, ADoubledAmpersandMarksNoLetter)
{
    CXTPToolBar* pShare = pFrame->AddToolBar("Share", {{300, "Print && S&hare"}, {301, "Notes && Comments"}});
    EXPECT_TRUE(pBars->OnFrameAccel('H'));
    EXPECT_EQ(std::vector<UINT>{300}, pFrame->m_arrCommands);
    pShare->SetTrackingMode(FALSE);
    pBars->GetCommandBarsOptions()->bShowKeyboardTips = TRUE;
    pBars->ShowKeyboardTips(pShare, 1);
    ASSERT_FALSE(TipCaptions().empty());
    EXPECT_STREQ("H", TipCaptions()[0]);
    EXPECT_EQ(pShare->GetControl(0), ((CXTPCommandBarKeyboardTip*)pBars->m_arrKeyboardTips[0])->m_pOwner);
    for (const CString& str : TipCaptions())
        EXPECT_EQ(-1, str.Find('&'));
}

TEST_F(KeyboardTest, SameLetterTipsWithNothingLeftTakeDigits)
{
    CXTPToolBar* pTwins = pFrame->AddToolBar("Twins", {{200, "&A"}, {201, "&A"}, {202, "&AB"}});
    pBars->GetCommandBarsOptions()->bShowKeyboardTips = TRUE;
    pBars->ShowKeyboardTips(pTwins, 2);
    std::vector<CString> captions;
    for (const CString& str : TipCaptions())
    {
        if (str[0] == 'A')
            captions.push_back(str);
    }
    ASSERT_EQ(3u, captions.size());
    EXPECT_STREQ("A1", captions[0]);
    EXPECT_STREQ("A2", captions[1]);
    EXPECT_STREQ("AB", captions[2]);
}

TEST_F(KeyboardTest, ATrackingChangeShowsTheTopPopupsTipsAgainOnlyWhenItHadThem)
{
    pBars->GetCommandBarsOptions()->bShowKeyboardTips = TRUE;
    CXTPControlPopup* pControl = (CXTPControlPopup*)pBar->GetControls()->Add(xtpControlPopup, 0);
    pControl->SetCaption("&More");
    CXTPPopupBar* pPopup = CXTPPopupBar::CreatePopupBar(pBars);
    pPopup->GetControls()->Add(xtpControlButton, 110)->SetCaption("&Inside");
    pControl->SetCommandBar(pPopup);
    pPopup->InternalRelease();
    pBar->OnRecalcLayout();
    ASSERT_TRUE(pBar->SetPopuped(pControl->GetIndex()));
    ASSERT_TRUE(pPopup->GetSafeHwnd() != NULL);
    MSG msg;
    while (::PeekMessage(&msg, pPopup->m_hWnd, WM_TIMER, WM_TIMER, PM_REMOVE))
    {
    }

    // Tips shown for the toolbar, not for the popup: the popup is left alone.
    pBars->ShowKeyboardTips(pBar, 1);
    pBars->OnTrackingModeChanged(pBar, 1);
    EXPECT_EQ(0, pBars->GetKeyboardTipsLevel()) << "the tips are hidden";
    EXPECT_FALSE(::PeekMessage(&msg, pPopup->m_hWnd, WM_TIMER, WM_TIMER, PM_REMOVE));

    // Once the popup showed its tips, it is asked to show them again.
    pBars->ShowKeyboardTips(pPopup, 1);
    EXPECT_TRUE(pPopup->m_bKeyboardTips);
    pBars->OnTrackingModeChanged(pPopup, 1);
    ASSERT_TRUE(::PeekMessage(&msg, pPopup->m_hWnd, WM_TIMER, WM_TIMER, PM_REMOVE));
    EXPECT_EQ((WPARAM)XTP_TID_SHOWKEYBOARDTIPS, msg.wParam);
    pBar->SetPopuped(-1);
    EXPECT_FALSE(pPopup->m_bKeyboardTips) << "forgotten when it closes";
}

// While a bar tracks (Alt was pressed), a letter that is none of its own
// but another bar's access key is passed on to that bar, which runs its
// control; the bar's own letters stay its own.
TEST_F(KeyboardTest, ALetterOfAnotherBarIsPassedOnWhileABarTracks)
{
    CXTPToolBar* pOther = pFrame->AddToolBar("More", {{110, "&Go"}, {111, "&Open too"}});
    ASSERT_TRUE(pOther != NULL);
    pBar->SetTrackingMode(TRUE, FALSE, TRUE);
    EXPECT_NE(0, pBar->OnHookKeyDown('G', 0));
    ASSERT_EQ(1u, pFrame->m_arrCommands.size()) << "the other bar's G";
    EXPECT_EQ(110u, pFrame->m_arrCommands[0]);
    EXPECT_FALSE(pBar->IsTrackingMode());

    pBar->SetTrackingMode(TRUE, FALSE, TRUE);
    EXPECT_NE(0, pBar->OnHookKeyDown('O', 0));
    ASSERT_EQ(2u, pFrame->m_arrCommands.size());
    EXPECT_EQ(102u, pFrame->m_arrCommands[1]) << "O is the tracking bar's own";

    // No bar has Q: nothing runs.
    pBar->SetTrackingMode(TRUE, FALSE, TRUE);
    EXPECT_FALSE(pBars->OnToolBarAccel(pBar, 'Q'));
    pBar->OnHookKeyDown('Q', 0);
    EXPECT_EQ(2u, pFrame->m_arrCommands.size());
    pBar->SetTrackingMode(FALSE);
}
