// The combo box on a bar: completion from its items, selection from typed
// text, Escape after opening the list, the list's rows and its stored items.
// ctest: run-serial (a popup closes when another program takes the activation)
#include <gtest/gtest.h>

#include "XTPCommandBarsExchange.h"
#include "XTPControlComboBox.h"
#include "support/bars_frame.h"
#include "support/canvas.h"
#include "XTPColorManager.h"

#include <algorithm>

using testsupport::CBarsFrame;

namespace
{
class ComboTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        pFrame = CBarsFrame::Create();
        pBar = pFrame->AddToolBar("Find", {{100, "Go"}});
        pCombo = (CXTPControlComboBox*)pBar->GetControls()->Add(xtpControlComboBox, 300);
        ASSERT_TRUE(pCombo->IsKindOf(RUNTIME_CLASS(CXTPControlComboBox)));
        pCombo->SetDropDown(TRUE);
        pCombo->AddString("apple");
        pCombo->AddString("apricot");
        pCombo->AddString("banana");
        pFrame->RecalcLayout();
        pBar->OnRecalcLayout();
    }
    void TearDown() override
    {
        pBar->SetPopuped(-1);
        pFrame->DestroyWindow();
    }
    CBarsFrame* pFrame = NULL;
    CXTPToolBar* pBar = NULL;
    CXTPControlComboBox* pCombo = NULL;
};
} // namespace

TEST_F(ComboTest, TypingAPrefixCompletesTheFirstItemAndSelectsTheTail)
{
    ASSERT_TRUE(pCombo->HasWindow());
    pCombo->SetAutoComplete(TRUE);
    pCombo->m_bIgnoreAutoComplete = FALSE;
    CXTPControlComboBoxEditCtrl* pEdit = pCombo->GetEditCtrl();
    pEdit->SetWindowText("ap");
    pEdit->SendMessage(EM_SETSEL, 2, 2);
    pCombo->MarkTextStale();
    pCombo->OnEditChanged();
    EXPECT_STREQ("apple", pCombo->GetEditText());
    DWORD dwStart = 0, dwEnd = 0;
    pEdit->SendMessage(EM_GETSEL, (WPARAM)&dwStart, (LPARAM)&dwEnd);
    EXPECT_EQ(2u, dwStart);
    EXPECT_EQ(5u, dwEnd);

    // Backspace marks the next change as not to be completed.
    pCombo->SetFocused(TRUE);
    pCombo->OnHookKeyDown(VK_BACK, 0);
    EXPECT_TRUE(pCombo->m_bIgnoreAutoComplete);
    pCombo->SetFocused(FALSE);
}

TEST_F(ComboTest, ExactTextSelectsAnItemAndAPrefixOnlyScrollsToIt)
{
    pCombo->SetEditText("banana");
    pCombo->UpdatePopupSelection();
    EXPECT_EQ(2, pCombo->GetCurSel());
    pCombo->SetEditText("apr");
    pCombo->UpdatePopupSelection();
    EXPECT_EQ(-1, pCombo->GetCurSel());
    EXPECT_EQ(1, (int)pCombo->GetListBox()->SendMessage(LB_GETTOPINDEX));
}

TEST_F(ComboTest, EscapeAfterOpeningRestoresTheSelectionAndTellsTheOwnerNoChoiceWasMade)
{
    pCombo->SetCurSel(0);
    ASSERT_STREQ("apple", pCombo->GetEditText());
    pCombo->SetFocused(TRUE);
    pFrame->m_arrNotifications.clear();

    ASSERT_TRUE(pBar->SetPopuped(pCombo->GetIndex()));
    EXPECT_TRUE(pCombo->GetDroppedState());
    CXTPControlComboBoxList* pList = pCombo->GetListBox();
    EXPECT_TRUE(pList->IsWindowVisible());
    pList->ProcessHookKeyDown(pCombo, VK_DOWN, 0);
    EXPECT_EQ(1, pCombo->GetCurSel());
    EXPECT_STREQ("apricot", pCombo->GetEditText());

    pCombo->OnHookKeyDown(VK_ESCAPE, 0);
    EXPECT_FALSE(pCombo->GetDroppedState());
    EXPECT_FALSE(pList->IsWindowVisible());
    EXPECT_EQ(0, pCombo->GetCurSel());
    EXPECT_STREQ("apple", pCombo->GetEditText());
    const std::vector<UINT>& codes = pFrame->m_arrNotifications;
    EXPECT_NE(codes.end(), std::find(codes.begin(), codes.end(), (UINT)XTP_CBN_DROPDOWN));
    EXPECT_NE(codes.end(), std::find(codes.begin(), codes.end(), (UINT)XTP_CBN_SELENDCANCEL));
    EXPECT_EQ(codes.end(), std::find(codes.begin(), codes.end(), (UINT)XTP_CBN_SELENDOK));
}

TEST_F(ComboTest, TheListHasAsManyRowsAsItemsUpToTheCount)
{
    CXTPControlComboBoxList* pList = pCombo->GetListBox();
    ASSERT_TRUE(pBar->SetPopuped(pCombo->GetIndex()));
    int nItem = pList->GetItemHeight();   // in the bar's control font
    ASSERT_GT(nItem, 0);
    CRect rc;
    pList->GetWindowRect(&rc);
    EXPECT_EQ(3 * nItem + 4, rc.Height()) << "12 rows asked for, 3 items";
    pBar->SetPopuped(-1);

    pCombo->ResetContent();
    ASSERT_TRUE(pBar->SetPopuped(pCombo->GetIndex()));
    pList->GetWindowRect(&rc);
    EXPECT_EQ(nItem + 4, rc.Height()) << "an empty list keeps one row";
    pBar->SetPopuped(-1);
}

TEST_F(ComboTest, ItemsTravelWithTheStoredListAndABadCountStopsAtTheFirstGap)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        CXTPCommandBarsArchiveExchange px(ar);
        pCombo->GetListBox()->DoPropExchange(&px);
        ar.Close();
    }
    file.SeekToBegin();
    CXTPControlComboBoxList* pLoaded = new CXTPControlComboBoxList();
    {
        CArchive ar(&file, CArchive::load);
        CXTPCommandBarsArchiveExchange px(ar);
        pLoaded->DoPropExchange(&px);
        ar.Close();
    }
    ASSERT_EQ(3, pLoaded->GetCount());
    CString str;
    pLoaded->GetText(2, str);
    EXPECT_STREQ("banana", str);

    // An INI section that claims a million items holds two.
    char szDir[MAX_PATH], szFile[MAX_PATH];
    ::GetTempPathA(MAX_PATH, szDir);
    ::GetTempFileNameA(szDir, "cmb", 0, szFile);
    ::WritePrivateProfileStringA("List\\Items", "Count", "1000000", szFile);
    ::WritePrivateProfileStringA("List\\Items", "Item0", "one", szFile);
    ::WritePrivateProfileStringA("List\\Items", "Item1", "two", szFile);
    CXTPPropExchangeIniFile* pIni = new CXTPPropExchangeIniFile(TRUE, NULL, "List");
    pIni->SetFileName(szFile);
    {
        CXTPPropExchangeSection px(pIni);
        pLoaded->DoPropExchange(px);
    }
    EXPECT_EQ(2, pLoaded->GetCount());
    ::DeleteFileA(szFile);
    pLoaded->InternalRelease();
}

TEST_F(ComboTest, AFocusedListOnlyComboIsHighlightedInTheColourManagersColour)
{
    pCombo->SetDropDown(FALSE);
    pCombo->SetCurSel(0);
    pCombo->SetFocused(TRUE);
    GetColorManager()->SetColor(COLOR_HIGHLIGHT, RGB(10, 200, 30));
    testsupport::Canvas canvas(80, 20);
    pCombo->DrawEditText(canvas.DC(), CRect(0, 0, 80, 20));
    EXPECT_EQ(RGB(10, 200, 30), canvas.Pixel(3, 3));
    GetColorManager()->SetColor(COLOR_HIGHLIGHT, (COLORREF)-1);
    pCombo->SetFocused(FALSE);
}

// A copy of the combo (a reduced ribbon group's popup holds one) shows what
// the source shows: the chosen item of a list-only combo, the typed text of
// an editable one; making it tells the owner of no selection change.
TEST_F(ComboTest, ACopyKeepsTheSelectionAndTheText)
{
    pCombo->SetDropDown(FALSE);
    pCombo->SetCurSel(2);
    ASSERT_EQ(CString("banana"), pCombo->GetListBoxText());
    for (BOOL bRecursive : { TRUE, FALSE })
    {
        CXTPControlComboBox* pCopy = DYNAMIC_DOWNCAST(CXTPControlComboBox, pCombo->Clone(bRecursive));
        ASSERT_TRUE(pCopy != NULL);
        EXPECT_EQ(2, pCopy->GetCurSel()) << "recursive " << bRecursive;
        EXPECT_EQ(CString("banana"), pCopy->GetListBoxText()) << "recursive " << bRecursive;
        EXPECT_EQ(CString("banana"), pCopy->GetText()) << "recursive " << bRecursive;
        pCopy->InternalRelease();
    }
    EXPECT_EQ(2, pCombo->GetCurSel());

    pCombo->SetDropDown(TRUE);
    pCombo->SetEditText("grape");
    CXTPControlComboBox* pCopy = DYNAMIC_DOWNCAST(CXTPControlComboBox, pCombo->Clone(TRUE));
    ASSERT_TRUE(pCopy != NULL);
    EXPECT_EQ(CString("grape"), pCopy->GetEditTextValue());
    pCopy->InternalRelease();
}
