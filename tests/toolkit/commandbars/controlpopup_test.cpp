// Popup controls: their one reference to the popup bar, copies that share or
// clone it, split buttons, hover and double click.
// ctest: run-serial (a popup closes when another program takes the activation)
#include "support/commandbars_testframe.h"
#include "XTPShadowManager.h"

using namespace cbtest;

namespace
{
class ControlPopupTest : public CommandBarsFrameTest
{
protected:
    void SetUp() override
    {
        CommandBarsFrameTest::SetUp();
        if (HasFatalFailure())
            return;
        PumpAndIdle();
    }
    // A split button with two items on the Standard bar.
    CXTPControlPopup* AddSplitButton()
    {
        CXTPToolBar* pBar = m_pFrame->GetStandardBar();
        CXTPControlPopup* pSplit =
            (CXTPControlPopup*)pBar->GetControls()->Add(xtpControlSplitButtonPopup, ID_UNDO_MOVE);
        pSplit->GetCommandBar()->GetControls()->Add(xtpControlButton, ID_BRANCH_BEGIN);
        pSplit->GetCommandBar()->GetControls()->Add(xtpControlButton, ID_BRANCH_ACCEPT);
        pBar->OnRecalcLayout();
        m_pFrame->RecalcLayout();
        return pSplit;
    }
};
} // namespace

TEST_F(ControlPopupTest, HoldsOneReferenceToItsPopupBar)
{
    CXTPControlPopup* pPopup = CXTPControlPopup::CreateControlPopup(xtpControlPopup);
    CXTPPopupBar* pBar = CXTPPopupBar::CreatePopupBar(NULL);
    pPopup->SetCommandBar(pBar);
    EXPECT_EQ(2, pBar->m_dwRef);
    pPopup->SetCommandBar(pBar);
    EXPECT_EQ(2, pBar->m_dwRef) << "setting the same bar again takes no second reference";

    // Copies share the bar; recursive copies clone it.
    CXTPControlPopup* pShared = (CXTPControlPopup*)pPopup->Clone(FALSE);
    EXPECT_EQ(pBar, pShared->GetCommandBar());
    EXPECT_EQ(3, pBar->m_dwRef);
    CXTPControlPopup* pDeep = (CXTPControlPopup*)pPopup->Clone(TRUE);
    EXPECT_NE(pBar, pDeep->GetCommandBar());
    EXPECT_TRUE(pDeep->Compare(pPopup));
    EXPECT_TRUE(pDeep->IsContainPopup(pDeep));
    EXPECT_FALSE(pDeep->IsContainPopup(pPopup)) << "different bars, none nested";
    EXPECT_TRUE(pShared->IsContainPopup(pPopup));

    pShared->InternalRelease();
    pDeep->InternalRelease();
    pPopup->InternalRelease();
    EXPECT_EQ(1, pBar->m_dwRef);
    pBar->InternalRelease();
}

TEST_F(ControlPopupTest, NestedPopupsContainEachOther)
{
    CXTPMenuBar* pMenuBar = m_pFrame->GetMenuBar();
    CXTPControlPopup* pFile = DYNAMIC_DOWNCAST(CXTPControlPopup, pMenuBar->GetControl(0));
    CXTPControlPopup* pNew = DYNAMIC_DOWNCAST(CXTPControlPopup, pFile->GetCommandBar()->GetControl(0));
    ASSERT_NE(nullptr, pNew);
    EXPECT_TRUE(pFile->IsContainPopup(pNew));
    CXTPControlPopup* pEdit = DYNAMIC_DOWNCAST(CXTPControlPopup, pMenuBar->GetControl(1));
    EXPECT_FALSE(pFile->IsContainPopup(pEdit));
}

TEST_F(ControlPopupTest, SplitButtonArrowStateThreeNeverOpens)
{
    CXTPControlPopup* pSplit = AddSplitButton();
    CXTPToolBar* pBar = m_pFrame->GetStandardBar();
    pSplit->SetEnabled(3);
    EXPECT_FALSE(pBar->SetPopuped(pSplit->GetIndex()) && pSplit->GetPopuped()) << "state 3: the arrow is off";
    EXPECT_FALSE(pSplit->GetPopuped());

    // A click on the arrow part does nothing either.
    CRect rc = pSplit->GetRect();
    pSplit->OnClick(FALSE, CPoint(rc.right - 2, rc.CenterPoint().y));
    EXPECT_FALSE(pSplit->GetPopuped());
    pBar->SetTrackingMode(FALSE);
}

TEST_F(ControlPopupTest, SplitButtonStateFourOpensOnAnyClick)
{
    CXTPControlPopup* pSplit = AddSplitButton();
    CXTPToolBar* pBar = m_pFrame->GetStandardBar();
    pSplit->SetEnabled(4);
    CRect rc = pSplit->GetRect();
    pSplit->OnClick(FALSE, CPoint(rc.left + 3, rc.CenterPoint().y));
    EXPECT_TRUE(pSplit->GetPopuped()) << "the command part opens the popup too";
    pBar->SetTrackingMode(FALSE);
    EXPECT_FALSE(pSplit->GetPopuped());

    pBar->SetSelected(pSplit->GetIndex(), TRUE);
    pSplit->OnClick(TRUE);
    EXPECT_TRUE(pSplit->GetPopuped()) << "and the keyboard";
    EXPECT_TRUE(m_pFrame->m_arrCommands.empty());
    pBar->SetTrackingMode(FALSE);
}

TEST_F(ControlPopupTest, SplitButtonKeyboardExecutesTheCommand)
{
    CXTPControlPopup* pSplit = AddSplitButton();
    CXTPToolBar* pBar = m_pFrame->GetStandardBar();
    pBar->SetTrackingMode(TRUE, FALSE, TRUE);
    pBar->SetSelected(pSplit->GetIndex(), TRUE);
    pSplit->OnClick(TRUE);
    ASSERT_EQ(1u, m_pFrame->m_arrCommands.size());
    EXPECT_EQ((UINT)ID_UNDO_MOVE, m_pFrame->m_arrCommands[0]);
    EXPECT_FALSE(pSplit->GetPopuped());
    pBar->SetTrackingMode(FALSE);
}

TEST_F(ControlPopupTest, HoverOpensAndDoubleClickRunsTheDefaultItem)
{
    CXTPMenuBar* pMenuBar = m_pFrame->GetMenuBar();
    ASSERT_TRUE(pMenuBar->SetPopuped(0));
    CXTPPopupBar* pFile = DYNAMIC_DOWNCAST(CXTPPopupBar, pMenuBar->GetControl(0)->GetCommandBar());
    CXTPControlPopup* pNew = DYNAMIC_DOWNCAST(CXTPControlPopup, pFile->GetControl(0));
    ASSERT_NE(nullptr, pNew);

    // Resting on a submenu item opens it (the hover timer).
    pFile->SetSelected(0, FALSE);
    pFile->SendMessage(WM_TIMER, XTP_TID_HOVER);
    EXPECT_TRUE(pNew->GetPopuped());
    EXPECT_EQ(0, pFile->GetPopupedIndex());

    // A double click on it runs its submenu's default item.
    pNew->GetCommandBar()->GetControl(0)->SetItemDefault(TRUE);
    EXPECT_TRUE(pNew->OnLButtonDblClk(pNew->GetRect().CenterPoint()));
    ASSERT_EQ(1u, m_pFrame->m_arrCommands.size());
    EXPECT_EQ((UINT)ID_NEW_PUZZLE, m_pFrame->m_arrCommands[0]);
    EXPECT_EQ(0, (int)XTPMouseManager()->GetTrackArray().GetSize()) << "executing closed the menus";
}

namespace
{
int ShadowsOf(CXTPTrackableBar* pOwner)
{
    int nCount = 0;
    const CXTPShadowsManager::CShadowList& shadows = XTPShadowsManager()->GetShadows();
    for (POSITION pos = shadows.GetHeadPosition(); pos != NULL;)
    {
        if (shadows.GetNext(pos)->GetOwnerBar() == pOwner)
            nCount++;
    }
    return nCount;
}
} // namespace

// A button's popup gives the button a shadow on its toolbar; when the popup
// closes, however it closes, the button's shadow goes with its own.
TEST_F(ControlPopupTest, TheButtonsShadowGoesWhenItsPopupCloses)
{
    PrepareTheme(2);   // the game's look, whose buttons cast a shadow
    CXTPPaintManager::GetGlobalPaintManager()->EnableShadow(TRUE);
    CXTPControlPopup* pSplit = AddSplitButton();
    CXTPToolBar* pBar = m_pFrame->GetStandardBar();
    pSplit->SetEnabled(4);
    CRect rc = pSplit->GetRect();

    // Closed by the toolbar leaving its tracking mode.
    pSplit->OnClick(FALSE, CPoint(rc.left + 3, rc.CenterPoint().y));
    ASSERT_TRUE(pSplit->GetPopuped());
    CXTPPopupBar* pPopupBar = DYNAMIC_DOWNCAST(CXTPPopupBar, pSplit->GetCommandBar());
    EXPECT_GT(ShadowsOf(pBar), 0) << "the button's shadow";
    EXPECT_GT(ShadowsOf(pPopupBar), 0) << "the popup's own";
    pBar->SetTrackingMode(FALSE);
    EXPECT_EQ(0, ShadowsOf(pBar));
    EXPECT_EQ(0, ShadowsOf(pPopupBar));

    // Closed by itself (Escape), and by closing every popup.
    pSplit->OnClick(FALSE, CPoint(rc.left + 3, rc.CenterPoint().y));
    ASSERT_TRUE(pSplit->GetPopuped());
    pPopupBar->SetTrackingMode(FALSE);
    EXPECT_EQ(0, ShadowsOf(pBar));
    pSplit->OnClick(FALSE, CPoint(rc.left + 3, rc.CenterPoint().y));
    ASSERT_TRUE(pSplit->GetPopuped());
    m_pFrame->GetCommandBars()->ClosePopups();
    EXPECT_EQ(0, ShadowsOf(pBar));
    pBar->SetTrackingMode(FALSE);
    EXPECT_EQ(0, XTPShadowsManager()->GetShadowCount());
    PrepareTheme();
}
