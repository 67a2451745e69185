// Placeholders that expand in menus, numbered captions, and the selector.
// ctest: run-serial (it moves the real pointer)
#include <gtest/gtest.h>

#include "XTPPopupBar.h"
#include "XTPControlExtras.h"
#include "support/bars_frame.h"
#include "support/profile_app.h"

using testsupport::CBarsFrame;

TEST(ConstructCaptionTest, NumbersDoubleTheAmpersandsAndStopAtTheEnd)
{
    EXPECT_STREQ("&3 A&&B", CXTPControlWindowList::ConstructCaption("A&B", 3));
    EXPECT_STREQ("1&0 A&&B", CXTPControlWindowList::ConstructCaption("A&B", 10));
    EXPECT_STREQ("11 A&&B", CXTPControlWindowList::ConstructCaption("A&B", 11));
    EXPECT_STREQ("A&&B", CXTPControlWindowList::ConstructCaption("A&B", 0));
    // A text ending in what looks like a lead byte stops at its end.
    CString strOdd("ab\x81");
    CString strCaption = CXTPControlWindowList::ConstructCaption(strOdd, 1);
    EXPECT_EQ(6, strCaption.GetLength());
    EXPECT_EQ('\x81', strCaption[5]);
}

namespace
{
class PlaceholderTest : public ::testing::Test
{
protected:
    PlaceholderTest() : app("BrindlemarkPlaceholderTests") {}
    void SetUp() override
    {
        pFrame = CBarsFrame::Create();
        pPopup = CXTPPopupBar::CreatePopupBar(pFrame->GetCommandBars());
        pPopup->GetControls()->Add(xtpControlButton, 57600)->SetCaption("New");
    }
    void TearDown() override
    {
        pPopup->InternalRelease();
        pFrame->DestroyWindow();
    }
    testsupport::ProfileApp app;
    CBarsFrame* pFrame = NULL;
    CXTPPopupBar* pPopup = NULL;
};
} // namespace

TEST_F(PlaceholderTest, RecentFilesExpandWithinTheListAndAnEmptyListLeavesADisabledItem)
{
    CXTPControl* pRecent = pPopup->GetControls()->Add(xtpControlButton, 35003);
    ASSERT_TRUE(pRecent->IsKindOf(RUNTIME_CLASS(CXTPControlRecentFileList)));

    app.m_pRecentFileList = new CRecentFileList(0, "Recent File List", "File%d", 4);
    pRecent->OnCalcDynamicSize(0);
    EXPECT_EQ(0u, pRecent->GetHideFlags());
    EXPECT_FALSE(pRecent->GetEnabled()) << "nothing to list";
    EXPECT_EQ(2, pPopup->GetControlCount());

    app.m_pRecentFileList->Add("C:\\puzzles\\one.hti");
    app.m_pRecentFileList->Add("C:\\puzzles\\two.hti");
    pRecent->OnCalcDynamicSize(0);
    EXPECT_TRUE(pRecent->GetHideFlags() & xtpHideGeneric);
    ASSERT_EQ(4, pPopup->GetControlCount());
    EXPECT_EQ(57616, pPopup->GetControl(2)->GetID());
    EXPECT_EQ(57617, pPopup->GetControl(3)->GetID());
    EXPECT_EQ(0, pPopup->GetControl(2)->GetCaption().Find("&1 "));
    EXPECT_TRUE(pPopup->GetControl(2)->GetBeginGroup());

    // Expanding again replaces the items it made; it never makes more than the list holds.
    pRecent->OnCalcDynamicSize(0);
    EXPECT_EQ(4, pPopup->GetControlCount());

    pFrame->GetCommandBars()->SetCustomizeMode(TRUE);
    pRecent->OnCalcDynamicSize(0);
    EXPECT_EQ(0u, pRecent->GetHideFlags()) << "in customize mode it shows as itself";
    EXPECT_EQ(2, pPopup->GetControlCount());
    EXPECT_TRUE(pRecent->AcceptsCustomizeDrop(pPopup, CPoint(0, 0))) << "into a menu";
    pFrame->GetCommandBars()->SetCustomizeMode(FALSE);

    CXTPToolBar* pBar = pFrame->AddToolBar("Bar", {{100, "Go"}});
    CXTPControl* pOnToolbar = pBar->GetControls()->Add(xtpControlButton, 35003);
    EXPECT_FALSE(pOnToolbar->AcceptsCustomizeDrop(pBar, CPoint(0, 0))) << "not onto a toolbar";
    EXPECT_FALSE(pRecent->AcceptsCustomizeDrop(pBar, CPoint(0, 0))) << "nor from a menu onto a toolbar";
    EXPECT_TRUE(pOnToolbar->AcceptsCustomizeDrop(pPopup, CPoint(0, 0))) << "from a toolbar into a menu";
}

TEST_F(PlaceholderTest, TheToolbarsListNamesEveryClosableBar)
{
    pFrame->AddToolBar("Standard", {{100, "Go"}});
    CXTPToolBar* pHidden = pFrame->AddToolBar("Timer", {{101, "Clock"}});
    pHidden->SetVisible(FALSE);
    CXTPToolBar* pFixed = pFrame->AddToolBar("Fixed", {{102, "Stay"}});
    pFixed->SetCloseable(FALSE);

    CXTPControl* pToolbars = pPopup->GetControls()->Add(xtpControlButton, 59392);
    ASSERT_TRUE(pToolbars->IsKindOf(RUNTIME_CLASS(CXTPControlToolbars)));
    pToolbars->OnCalcDynamicSize(0);
    ASSERT_EQ(4, pPopup->GetControlCount());
    EXPECT_STREQ("Standard", pPopup->GetControl(2)->GetCaption());
    EXPECT_TRUE(pPopup->GetControl(2)->GetChecked());
    EXPECT_STREQ("Timer", pPopup->GetControl(3)->GetCaption());
    EXPECT_FALSE(pPopup->GetControl(3)->GetChecked());

    pPopup->GetControl(3)->OnExecute();
    EXPECT_TRUE(pHidden->IsVisible());
}

TEST(ToolbarsPopupTest, TheToolbarsContextMenuEndsWithCustomizeOnlyWhenTheSiteCustomizes)
{
    testsupport::ProfileApp app("BrindlemarkPlaceholderTests");
    for (BOOL bCustomizable : {TRUE, FALSE})
    {
        CBarsFrame* pFrame = CBarsFrame::Create(CRect(20, 20, 620, 420), bCustomizable);
        pFrame->AddToolBar("Standard", {{100, "Go"}});
        pFrame->AddToolBar("Timer", {{101, "Clock"}});
        CXTPPopupBar* pPopup = pFrame->GetCommandBars()->GetToolbarsPopup();
        ASSERT_TRUE(pPopup != NULL);
        pPopup->GetControl(0)->OnCalcDynamicSize(0);
        const int nCount = pPopup->GetControlCount();
        ASSERT_EQ(bCustomizable ? 4 : 3, nCount) << bCustomizable;
        EXPECT_STREQ("Standard", pPopup->GetControl(1)->GetCaption());
        EXPECT_STREQ("Timer", pPopup->GetControl(2)->GetCaption());
        if (bCustomizable)
        {
            CXTPControl* pLast = pPopup->GetControl(nCount - 1);
            EXPECT_EQ(XTP_ID_CUSTOMIZE, pLast->GetID());
            EXPECT_TRUE(pLast->GetBeginGroup());
        }
        // Laid out again, the list replaces its items and keeps the command last.
        pPopup->GetControl(0)->OnCalcDynamicSize(0);
        EXPECT_EQ(nCount, pPopup->GetControlCount());
        pPopup->InternalRelease();
        pFrame->DestroyWindow();
    }
}

TEST(SelectorTest, AZeroCellSizeTakesTheDefaultAndTheGridGrowsByCells)
{
    CXTPControlSelector selector;
    selector.SetItemSize(CSize(0, 0));
    EXPECT_EQ(CSize(28, 28), selector.GetItemSize()) << "a cell of nothing cannot be pointed at";
    selector.OnCalcDynamicSize(0);
    EXPECT_EQ(CSize(5 * 28, 4 * 28), selector.GetSize(NULL));

    selector.SetRect(CRect(10, 10, 10 + 5 * 28, 10 + 4 * 28));
    selector.OnMouseMove(CPoint(10 + 28 + 5, 10 + 5));
    EXPECT_EQ(CSize(2, 1), selector.GetSelectedSize());
    selector.OnMouseMove(CPoint(5, 5));
    EXPECT_EQ(CSize(0, 0), selector.GetSelectedSize());
    selector.OnLButtonUp(CPoint(5, 5));
    EXPECT_EQ(CSize(0, 0), selector.GetChosenSize()) << "no cell highlighted: nothing chosen";
}

TEST(SelectorTest, LeavingWithTheButtonHeldGrowsTheGridAndStillDeselects)
{
    CBarsFrame* pFrame = CBarsFrame::Create();
    CXTPToolBar* pBar = pFrame->AddToolBar("Grid", {{100, "Go"}});
    CXTPControlSelector* pSelector = new CXTPControlSelector();
    pBar->GetControls()->Add(pSelector, 2005);
    pSelector->SetItemSize(CSize(20, 20));
    pSelector->SetItemsCount(CSize(3, 2));
    pSelector->SetItemsMax(CSize(12, 8));
    pFrame->RecalcLayout();
    pBar->OnRecalcLayout();
    ASSERT_EQ(CSize(3, 2), pSelector->GetVisibleSize());
    ASSERT_TRUE(pBar->SetSelected(pSelector->GetIndex()));
    ASSERT_NE(0, pSelector->GetSelected());

    // The pointer two cells right of the grid, the left button held.
    CRect rc = pSelector->GetRect();
    CPoint pt(rc.right + 2 * 20 + 5, rc.top + 5);
    pBar->ClientToScreen(&pt);
    ::SetCursorPos(pt.x, pt.y);
    BYTE state[256] = {0};
    ::GetKeyboardState(state);
    state[VK_LBUTTON] = 0x80;
    ::SetKeyboardState(state);
    pBar->SetSelected(-1);
    state[VK_LBUTTON] = 0;
    ::SetKeyboardState(state);

    EXPECT_EQ(6, pSelector->GetVisibleSize().cx) << "grown to the cell under the pointer";
    EXPECT_EQ(2, pSelector->GetVisibleSize().cy);
    EXPECT_EQ(0, pSelector->GetSelected()) << "the base handling still deselects it";
    pFrame->DestroyWindow();
}
