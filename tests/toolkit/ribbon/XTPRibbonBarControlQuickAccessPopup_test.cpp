// The quick-access popups: the customise menu with its command list and the
// popup of the controls that did not fit.
#include "ribbon_testframe.h"

#include "resource.h"

#include <vector>

using namespace ribbontest;

namespace
{
using QuickAccessPopupTest = RibbonFrameTest;
} // namespace

TEST_F(QuickAccessPopupTest, TheCustomiseMenuListsTheDefaultCommands)
{
    m_pFrame->BuildSample();
    // One of the three default commands is taken off the toolbar.
    CXTPRibbonQuickAccessControls* pQuick = m_pRibbon->GetQuickAccessControls();
    pQuick->Remove(pQuick->GetAt(1));
    CXTPPopupBar* pMenu = m_pRibbon->CreateContextMenu(m_pRibbon->GetControlQuickAccessPopup());
    ASSERT_TRUE(pMenu != NULL);
    std::vector<std::pair<int, int>> commands;   // id and check
    CXTPControl* pLabel = NULL;
    CXTPControl* pBelow = NULL;
    CXTPControl* pAbove = NULL;
    for (int i = 0; i < pMenu->GetControlCount(); i++)
    {
        CXTPControl* pControl = pMenu->GetControl(i);
        CXTPRibbonBar::CControlQuickAccessCommand* pCommand =
            dynamic_cast<CXTPRibbonBar::CControlQuickAccessCommand*>(pControl);
        if (pCommand != NULL)
            commands.push_back(std::make_pair(pCommand->m_pControl->GetID(), pControl->GetChecked()));
        if (pControl->GetID() == XTP_ID_RIBBONCUSTOMIZE_LABEL)
            pLabel = pControl;
        if (pControl->GetID() == XTP_ID_RIBBONCUSTOMIZE_QUICKACCESS_BELOW)
            pBelow = pControl;
        if (pControl->GetID() == XTP_ID_RIBBONCUSTOMIZE_QUICKACCESS_ABOVE)
            pAbove = pControl;
    }
    std::vector<std::pair<int, int>> expected = {{ID_NEW_PUZZLE, 1}, {ID_SAVE_PUZZLE, 0}, {ID_UNDO_MOVE, 1}};
    EXPECT_EQ(expected, commands);
    ASSERT_TRUE(pLabel != NULL);
    EXPECT_EQ(xtpControlLabel, pLabel->GetType());
    EXPECT_TRUE(pLabel->IsItemDefault());
    ASSERT_TRUE(pBelow != NULL && pAbove != NULL);
    EXPECT_TRUE(pBelow->IsVisible());
    EXPECT_FALSE(pAbove->IsVisible());

    // A command of the list puts its control back on the toolbar.
    for (int i = 0; i < pMenu->GetControlCount(); i++)
    {
        CXTPControl* pControl = pMenu->GetControl(i);
        if (dynamic_cast<CXTPRibbonBar::CControlQuickAccessCommand*>(pControl) != NULL && !pControl->GetChecked())
        {
            pControl->InternalAddRef();
            pControl->OnExecute();
            pControl->InternalRelease();
            break;
        }
    }
    pMenu->InternalRelease();
    std::vector<int> ids = {ID_NEW_PUZZLE, ID_UNDO_MOVE, ID_SAVE_PUZZLE};
    EXPECT_EQ(ids, QuickIds());

    m_pRibbon->ShowQuickAccessBelow(TRUE);
    pMenu = m_pRibbon->CreateContextMenu(m_pRibbon->GetControlQuickAccessPopup());
    EXPECT_FALSE(pMenu->GetControls()->FindControl(XTP_ID_RIBBONCUSTOMIZE_QUICKACCESS_BELOW)->IsVisible());
    EXPECT_TRUE(pMenu->GetControls()->FindControl(XTP_ID_RIBBONCUSTOMIZE_QUICKACCESS_ABOVE)->IsVisible());
    pMenu->InternalRelease();
}

TEST_F(QuickAccessPopupTest, QuickAccessControlsThatDoNotFitGoToTheMorePopup)
{
    m_pFrame->BuildSample();
    CXTPRibbonQuickAccessControls* pQuick = m_pRibbon->GetQuickAccessControls();
    for (int i = 0; i < 40; i++)
        pQuick->Add(xtpControlButton, ID_BRANCH_BEGIN)->SetStyle(xtpButtonIcon);
    m_pFrame->Settle();
    ASSERT_TRUE(m_pRibbon->GetControlQuickAccessMore()->IsVisible());
    int nWrapped = 0;
    for (int i = 0; i < pQuick->GetCount(); i++)
        nWrapped += (pQuick->GetAt(i)->GetHideFlags() & xtpHideWrap) != 0 ? 1 : 0;
    EXPECT_GT(nWrapped, 0);
    CXTPPopupBar* pMore = m_pRibbon->CreateMoreQuickAccessPopup();
    ASSERT_TRUE(pMore != NULL);
    // The wrapped controls, then the customise button, all shown.
    EXPECT_EQ(nWrapped + 1, pMore->GetControlCount());
    for (int i = 0; i < pMore->GetControlCount(); i++)
        EXPECT_TRUE(pMore->GetControl(i)->IsVisible()) << i;
    EXPECT_EQ(300, pMore->GetMRUWidth());
    pMore->InternalRelease();
}
