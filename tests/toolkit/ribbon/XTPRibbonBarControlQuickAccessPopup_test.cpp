// The quick-access popups: the customise menu with its command list and the
// popup of the controls that did not fit; the customise menu's own commands
// chosen by real clicks and keys.
// ctest: run-serial
#include "ribbon_testframe.h"

#include "XTPPopupBar.h"

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

namespace
{
using QuickAccessMenuByHandTest = RibbonSampleTest;

// Opens the customise menu with a real click on its button; the menu, or NULL.
CXTPPopupBar* OpenCustomiseMenu(CXTPRibbonBar* pRibbon)
{
    XTPMouseManager()->CloseAllTracked();
    PumpAndIdle();
    RealClick(ScreenCentre(pRibbon->GetControlQuickAccessPopup()));
    CXTPPopupBar* pMenu = NULL;
    PumpUntil([&]() {
        pMenu = TopTrackedPopup();
        return pMenu != NULL && pMenu->IsWindowVisible();
    });
    return pMenu != NULL && pMenu->IsWindowVisible() ? pMenu : NULL;
}

// The visible item of a menu with an id, or NULL.
CXTPControl* MenuItem(CXTPPopupBar* pMenu, int nId)
{
    for (int i = 0; i < pMenu->GetControlCount(); i++)
        if (pMenu->GetControl(i)->GetID() == nId && pMenu->GetControl(i)->IsVisible())
            return pMenu->GetControl(i);
    return NULL;
}
} // namespace

// The customise button's menu hands its own commands to the ribbon, in a
// frame whose idle pass runs and which handles none of them: showing the
// toolbar below and above the ribbon, and minimising and restoring it, by
// click and by access key.
TEST_F(QuickAccessMenuByHandTest, ShowBelowAboveAndMinimiseChosenInTheCustomiseMenuTakeEffect)
{
    m_pFrame->SetForegroundWindow();
    m_pFrame->Settle();
    ASSERT_FALSE(m_pRibbon->IsQuickAccessBelow());

    CXTPPopupBar* pMenu = OpenCustomiseMenu(m_pRibbon);
    ASSERT_TRUE(pMenu != NULL) << "the customise button opened no menu";
    EXPECT_EQ(m_pRibbon, pMenu->GetOwnerSite()) << "the menu's commands go past the ribbon";
    CXTPControl* pBelow = MenuItem(pMenu, XTP_ID_RIBBONCUSTOMIZE_QUICKACCESS_BELOW);
    ASSERT_TRUE(pBelow != NULL);
    EXPECT_TRUE(pBelow->GetEnabled());
    pMenu->RedrawWindow();
    PumpAndIdle();
    EXPECT_TRUE(SaveScreenPicture(m_pFrame->m_hWnd, "quick_access_customise_menu"));
    RealClick(ScreenCentre(pBelow));
    EXPECT_TRUE(PumpUntil([&]() { return m_pRibbon->IsQuickAccessBelow(); })) << "Show Below did nothing";
    EXPECT_EQ(NULL, TopTrackedPopup());
    m_pFrame->Settle();
    EXPECT_EQ(m_pRibbon->GetGroupsRect().bottom, m_pRibbon->GetQuickAccessRect().top);
    m_pRibbon->RedrawWindow();
    EXPECT_TRUE(SaveWindowPicture(m_pRibbon->m_hWnd, "quick_access_below_by_menu"));

    // From below, the same menu puts it back above.
    pMenu = OpenCustomiseMenu(m_pRibbon);
    ASSERT_TRUE(pMenu != NULL);
    CXTPControl* pAbove = MenuItem(pMenu, XTP_ID_RIBBONCUSTOMIZE_QUICKACCESS_ABOVE);
    ASSERT_TRUE(pAbove != NULL);
    EXPECT_EQ(NULL, MenuItem(pMenu, XTP_ID_RIBBONCUSTOMIZE_QUICKACCESS_BELOW));
    RealClick(ScreenCentre(pAbove));
    EXPECT_TRUE(PumpUntil([&]() { return !m_pRibbon->IsQuickAccessBelow(); })) << "Show Above did nothing";
    m_pFrame->Settle();

    // Minimise by a click, restore by the item's access key.
    pMenu = OpenCustomiseMenu(m_pRibbon);
    ASSERT_TRUE(pMenu != NULL);
    CXTPControl* pMinimise = MenuItem(pMenu, XTP_ID_RIBBONCUSTOMIZE_MINIMIZE);
    ASSERT_TRUE(pMinimise != NULL);
    EXPECT_FALSE(pMinimise->GetChecked());
    RealClick(ScreenCentre(pMinimise));
    EXPECT_TRUE(PumpUntil([&]() { return m_pRibbon->IsMinimized(); })) << "Minimize the Ribbon did nothing";
    m_pFrame->Settle();
    EXPECT_EQ(0, m_pRibbon->GetGroupsHeight());

    pMenu = OpenCustomiseMenu(m_pRibbon);
    ASSERT_TRUE(pMenu != NULL);
    pMinimise = MenuItem(pMenu, XTP_ID_RIBBONCUSTOMIZE_MINIMIZE);
    ASSERT_TRUE(pMinimise != NULL);
    EXPECT_TRUE(pMinimise->GetChecked());
    RealKey('N');
    EXPECT_TRUE(PumpUntil([&]() { return !m_pRibbon->IsMinimized(); })) << "the access key left it minimised";
    EXPECT_TRUE(PumpUntil([&]() { return TopTrackedPopup() == NULL; }));
    // None of these reached the frame, which knows nothing of them.
    for (UINT nId : m_pFrame->m_arrCommands)
        EXPECT_TRUE(nId < XTP_ID_RIBBONCUSTOMIZE_REMOVE || nId > XTP_ID_RIBBONCUSTOMIZE_LABEL) << nId;
}

// Seventeen quick-access buttons in a frame 380 px wide: the more-controls
// button opens the buttons that did not fit as a row (up to 300 px wide),
// not a column one button wide, and the customise button inside it opens
// the full customise menu with its list of commands.
TEST_F(QuickAccessMenuByHandTest, TheMorePopupIsARowAndItsCustomiseButtonOpensTheFullMenu)
{
    CXTPRibbonQuickAccessControls* pQuick = m_pRibbon->GetQuickAccessControls();
    const int ids[] = {ID_BRANCH_BEGIN, ID_NEW_PUZZLE, ID_SAVE_PUZZLE, ID_UNDO_MOVE};
    for (int i = 0; i < 14; i++)
        pQuick->Add(xtpControlButton, ids[i % 4]);
    ASSERT_EQ(17, pQuick->GetCount());
    Resize(380, 400);
    m_pFrame->SetForegroundWindow();
    m_pFrame->Settle();
    CXTPControl* pMoreButton = m_pRibbon->GetControlQuickAccessMore();
    ASSERT_TRUE(pMoreButton->IsVisible()) << "the quick-access buttons all fit";
    int nWrapped = 0;
    for (int i = 0; i < pQuick->GetCount(); i++)
        nWrapped += (pQuick->GetAt(i)->GetHideFlags() & xtpHideWrap) != 0 ? 1 : 0;
    ASSERT_GE(nWrapped, 4);

    XTPMouseManager()->CloseAllTracked();
    PumpAndIdle();
    RealClick(ScreenCentre(pMoreButton));
    CXTPPopupBar* pMore = NULL;
    ASSERT_TRUE(PumpUntil([&]() {
        pMore = TopTrackedPopup();
        return pMore != NULL && pMore->IsWindowVisible();
    })) << "the more-controls button opened nothing";
    ASSERT_EQ(nWrapped + 1, pMore->GetControlCount());
    pMore->RedrawWindow();
    PumpAndIdle();
    EXPECT_TRUE(SaveScreenPicture(::GetDesktopWindow(), "quick_access_more_popup"));
    CRect rcMore;
    pMore->GetWindowRect(&rcMore);
    EXPECT_GT(rcMore.Width(), rcMore.Height()) << "a column, not a row";
    EXPECT_LE(rcMore.Width(), 300 + 2 * 4) << "wider than the popup's 300 px";
    // The first buttons share one row.
    CRect rcFirst = pMore->GetControl(0)->GetRect(), rcSecond = pMore->GetControl(1)->GetRect();
    EXPECT_EQ(rcFirst.top, rcSecond.top);
    EXPECT_GT(rcSecond.left, rcFirst.left);

    // The customise button, last in the popup.
    CXTPControl* pCustomise = pMore->GetControl(pMore->GetControlCount() - 1);
    ASSERT_EQ(XTP_ID_RIBBONCONTROLQUICKACCESS, pCustomise->GetID());
    ASSERT_TRUE(pCustomise->IsVisible());
    RealClick(ScreenCentre(pCustomise));
    CXTPPopupBar* pMenu = NULL;
    ASSERT_TRUE(PumpUntil([&]() {
        pMenu = TopTrackedPopup();
        return pMenu != NULL && pMenu != pMore && pMenu->IsWindowVisible();
    })) << "the customise button in the popup opened nothing";
    int nCommands = 0;
    for (int i = 0; i < pMenu->GetControlCount(); i++)
        nCommands += dynamic_cast<CXTPRibbonBar::CControlQuickAccessCommand*>(pMenu->GetControl(i)) != NULL ? 1 : 0;
    EXPECT_EQ(3, nCommands) << "no command list: the short menu";
    EXPECT_TRUE(MenuItem(pMenu, XTP_ID_RIBBONCUSTOMIZE_LABEL) != NULL);
    EXPECT_EQ(NULL, MenuItem(pMenu, XTP_ID_RIBBONCUSTOMIZE_ADD));
    pMenu->RedrawWindow();
    PumpAndIdle();
    EXPECT_TRUE(SaveScreenPicture(::GetDesktopWindow(), "quick_access_more_popup_customise_menu"));
    XTPMouseManager()->CloseAllTracked();
    PumpAndIdle();
}
