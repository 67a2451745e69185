// The edit box on a bar: hint text, the text kept at focus, spin steps, the
// focused-edit count and the notifications to the owner.
#include <gtest/gtest.h>

#include "XTPControlEdit.h"
#include "XTPHookManager.h"
#include "XTPColorManager.h"
#include "support/bars_frame.h"

using testsupport::CBarsFrame;

namespace
{
class EditTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        pFrame = CBarsFrame::Create();
        pBar = pFrame->AddToolBar("Find", {{100, "Go"}});
        pEdit = (CXTPControlEdit*)pBar->GetControls()->Add(xtpControlEdit, 200);
        ASSERT_TRUE(pEdit->IsKindOf(RUNTIME_CLASS(CXTPControlEdit)));
        pEdit->SetEditHint("Search");
        pFrame->RecalcLayout();
        pBar->OnRecalcLayout();
        ASSERT_TRUE(pEdit->HasWindow());
    }
    void TearDown() override { pFrame->DestroyWindow(); }
    CString WindowText()
    {
        CString str;
        pEdit->GetEditCtrl()->GetWindowText(str);
        return str;
    }
    CBarsFrame* pFrame = NULL;
    CXTPToolBar* pBar = NULL;
    CXTPControlEdit* pEdit = NULL;
};
} // namespace

TEST_F(EditTest, AnEmptyBoxShowsItsHintUntilItHasTheFocus)
{
    EXPECT_STREQ("Search", WindowText());
    EXPECT_STREQ("", pEdit->GetEditText()) << "the hint is never the text";
    CHARFORMAT2 cf;
    pEdit->GetCharFormat(cf);
    EXPECT_EQ(::GetSysColor(COLOR_GRAYTEXT), cf.crTextColor);

    pEdit->OnSetFocus(pFrame);
    EXPECT_STREQ("", WindowText());
    pEdit->GetCharFormat(cf);
    EXPECT_EQ(::GetSysColor(COLOR_WINDOWTEXT), cf.crTextColor);
    pEdit->OnKillFocus();
    EXPECT_STREQ("Search", WindowText());

    pEdit->SetEditText("puzzle");
    EXPECT_STREQ("puzzle", pEdit->GetEditText());
    pEdit->SetEditText("");
    EXPECT_STREQ("Search", WindowText());
}

TEST_F(EditTest, EscapeRestoresTheTextFromWhenTheBoxGotTheFocus)
{
    pEdit->SetEditText("first");
    pEdit->OnSetFocus(pFrame);
    ASSERT_TRUE(pEdit->IsFocused());
    pEdit->GetEditCtrl()->SetWindowText("typed over");
    pEdit->MarkTextStale();
    EXPECT_STREQ("typed over", pEdit->GetEditText());
    pEdit->OnHookKeyDown(VK_ESCAPE, 0);
    EXPECT_STREQ("first", pEdit->GetEditText());
    EXPECT_FALSE(pEdit->IsFocused());
}

TEST_F(EditTest, SpinStepsRoundToTheStepAndTellTheOwner)
{
    struct
    {
        const char* text;
        int step, direction;
        const char* result;
    } cases[] = {{"7", 1, +1, "8"}, {"7", 5, +1, "15"}, {"7", 5, -1, "0"}, {"abc", 1, +1, "1"}, {"-3", 20, -1, "-40"}};
    for (const auto& c : cases)
    {
        pEdit->SetEditText(c.text);
        pEdit->DoSpin(c.step, c.direction);
        EXPECT_STREQ(c.result, pEdit->GetEditText()) << c.text << " by " << c.step * c.direction;
    }
    pFrame->m_arrNotifications.clear();
    pEdit->DoSpin(1, +1);
    ASSERT_EQ(2u, pFrame->m_arrNotifications.size());
    EXPECT_EQ((UINT)XTP_UDN_UP, pFrame->m_arrNotifications[0]);
    EXPECT_EQ((UINT)XTP_EN_SPINCHANGED, pFrame->m_arrNotifications[1]);

    // An owner that takes the step itself leaves the text alone.
    pEdit->SetEditText("7");
    pFrame->m_lNotifyResult = 1;
    pEdit->DoSpin(1, -1);
    EXPECT_STREQ("7", pEdit->GetEditText());
    pFrame->m_lNotifyResult = 0;

    pEdit->ShowSpinButtons(TRUE);
    CRect rcSpin = pEdit->GetSpinButtonsRect();
    EXPECT_EQ(18, rcSpin.Width());
    EXPECT_EQ(pEdit->GetRect().right - 1, rcSpin.right);
}

TEST_F(EditTest, TheFocusedEditCountMovesOnlyWhenTheFocusDoes)
{
    CXTPMouseManager* pMouseManager = XTPMouseManager();
    int nStart = pMouseManager->GetLockCount();
    pFrame->m_arrNotifications.clear();
    pEdit->SetFocused(TRUE);
    pEdit->SetFocused(TRUE);
    EXPECT_EQ(nStart + 1, pMouseManager->GetLockCount());
    pEdit->SetFocused(FALSE);
    pEdit->SetFocused(FALSE);
    EXPECT_EQ(nStart, pMouseManager->GetLockCount()) << "a second loss of focus does not lower it again";
    // Focus changes are told once each (the hint leaving the box is a text change).
    std::vector<UINT> focus;
    for (UINT n : pFrame->m_arrNotifications)
    {
        if (n != XTP_EN_CHANGE)
            focus.push_back(n);
    }
    ASSERT_EQ(2u, focus.size());
    EXPECT_EQ((UINT)XTP_EN_SETFOCUS, focus[0]);
    EXPECT_EQ((UINT)XTP_EN_KILLFOCUS, focus[1]);
}

TEST_F(EditTest, AVerticallyDockedBarHidesTheBoxAndItsWindow)
{
    pEdit->OnCalcDynamicSize(LM_VERTDOCK);
    EXPECT_FALSE(pEdit->IsVisible());
    EXPECT_FALSE(pEdit->GetEditCtrl()->IsWindowVisible());
    pEdit->OnCalcDynamicSize(LM_HORZDOCK);
    EXPECT_TRUE(pEdit->IsVisible());
}

TEST_F(EditTest, TextColoursComeFromTheColourManager)
{
    CXTPColorManager* pColors = GetColorManager();
    pColors->SetColor(COLOR_GRAYTEXT, RGB(1, 2, 3));
    pColors->SetColor(COLOR_WINDOWTEXT, RGB(4, 5, 6));
    CHARFORMAT2 cf;
    pEdit->GetCharFormat(cf);
    EXPECT_EQ(RGB(1, 2, 3), cf.crTextColor) << "the hint";
    pEdit->OnSetFocus(pFrame);
    pEdit->GetCharFormat(cf);
    EXPECT_EQ(RGB(4, 5, 6), cf.crTextColor);
    pEdit->OnKillFocus();
    pColors->SetColor(COLOR_GRAYTEXT, (COLORREF)-1);
    pColors->SetColor(COLOR_WINDOWTEXT, (COLORREF)-1);
    pEdit->GetCharFormat(cf);
    EXPECT_EQ(::GetSysColor(COLOR_GRAYTEXT), cf.crTextColor);
}
