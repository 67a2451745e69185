// What the user makes of a ribbon program, kept over restarts and used by
// real input: controls added to the quick-access toolbar (a gallery, a split
// button and a popup among them) come back after every start, minimised or
// not, above or below; a gallery there is a button of the toolbar's height
// that opens the gallery in a popup, and every other copy one of its small
// buttons; a copy without an icon (a gallery, a group) shows its caption
// there and in the more-controls popup; a command dragged from the Commands
// page lands on the quick-access toolbar; with the Customize sheet open the tabs change as without it; a
// shortcut set on the Keyboard page works after a restart. In customize mode the groups keep their controls
// (a drag copies them at most, whatever part of the control it starts on;
// the context menu offers no change that a restart would lose), a screen
// reader's default action moves no control, the button
// that opened the Customize sheet is not left lit, and Reset on "The Ribbon"
// brings the toolbar's own controls back.
// ctest: run-serial
// ctest: lock registry
#include "ribbon_testframe.h"

#include "XTPControlComboBox.h"
#include "XTPControlEdit.h"
#include "XTPControlGallery.h"
#include "XTPCustomizeCommandsPage.h"
#include "XTPCustomizeDragTracker.h"
#include "XTPCustomizeKeyboardPage.h"
#include "XTPCustomizeResource.h"
#include "XTPCustomizeSheet.h"
#include "XTPPopupBar.h"
#include "XTPRibbonGroups.h"
#include "XTPRibbonSystemButton.h"
#include "XTPRibbonTab.h"
#include "XTPShortcutManager.h"
#include "resource.h"
#include "support/keyinput.h"
#include "support/modal.h"
#include "support/mouseinput.h"
#include "support/profile_app.h"
#include "support/pump.h"
#include "support/wndtest.h"

#include <algorithm>
#include <functional>
#include <vector>

using namespace ribbontest;

namespace
{
const char* const kStateKey = "RibbonProgram";
const int kGalleryId = 2095;
const int kGalleryMoreId = 2096;
const int kSplitId = 2080;
const int kPopupId = 2085;
const int kFaceId = 2040;
const int kSizeId = 2041;
const int kViewTab = 2;

// The tests' ribbon program: the sample tabs, a "Shading" group with a
// gallery (its "more" popup holds one command), a split button and a popup
// on the Home tab, a system button, and the Customize sheet with the
// Commands and Keyboard pages. It loads its bars and shortcuts when it
// starts and saves them when its window goes, as a program does.
class CRibbonProgram : public CRibbonFrame
{
public:
    static CRibbonProgram* Start()
    {
        CRibbonProgram* pProgram = new CRibbonProgram();
        if (!pProgram->CreateRibbonFrame(CRect(20, 20, 940, 460), FALSE))
            return NULL;
        pProgram->Build();
        pProgram->ShowWindow(SW_SHOWNORMAL);
        pProgram->SetForegroundWindow();
        pProgram->Settle();
        return pProgram;
    }

    // The control of a group of the Home tab (or of another tab).
    CXTPControl* GroupControl(int nId, int nTab = 0) const
    {
        CXTPRibbonTab* pTab = GetRibbon()->GetTab(nTab);
        for (int g = 0; g < pTab->GetGroups()->GetCount(); g++)
        {
            CXTPRibbonGroup* pGroup = pTab->GetGroups()->GetAt(g);
            for (int i = 0; i < pGroup->GetCount(); i++)
                if (pGroup->GetAt(i)->GetID() == nId)
                    return pGroup->GetAt(i);
        }
        return NULL;
    }

    BOOL DestroyWindow() override
    {
        // What the user made is kept when the window goes, however it goes.
        GetCommandBars()->SaveBarState(kStateKey);
        GetCommandBars()->GetShortcutManager()->SaveShortcuts(kStateKey);
        return CRibbonFrame::DestroyWindow();
    }

    std::function<void(CXTPCustomizeSheet*)> m_fnCustomize;   // runs while the sheet is open
    static bool s_bGalleryIcon;   // whether the Shading group's gallery has an icon
    CXTPControlGalleryItems* m_pItems = NULL;

protected:
    void Build()
    {
        BuildSample();
        CXTPRibbonBar* pRibbon = GetRibbon();
        m_pItems = new CXTPControlGalleryItems();
        m_pItems->SetItemSize(CSize(32, 22));
        for (int i = 0; i < 12; i++)
            m_pItems->AddItem(new SwatchItem(RGB(40 + i * 17, 200 - i * 13, 90 + i * 11)), 2100 + i);
        CXTPRibbonGroup* pShading = pRibbon->GetTab(0)->AddGroup(_T("Shading"), 14);
        CXTPControlGallery* pGallery = new CXTPControlGallery();
        pShading->Add(pGallery, kGalleryId);
        pGallery->SetCaption(_T("Shades"));
        if (s_bGalleryIcon)
            pGallery->SetIconId(ID_TIMER_TARGET);
        pGallery->SetItems(m_pItems);
        pGallery->SetWidth(6 * 32 + 18);
        pGallery->SetHeight(3 * 22);
        pGallery->ShowLabels(FALSE);
        // Its popup shows the gallery again, larger, above its command.
        CXTPPopupBar* pMore = CXTPPopupBar::CreatePopupBar(GetCommandBars());
        CXTPControlGallery* pShown = new CXTPControlGallery();
        pMore->GetControls()->Add(pShown, kGalleryId);
        pShown->SetItems(m_pItems);
        pShown->SetWidth(6 * 32 + 18);
        pShown->SetHeight(4 * 22);
        pShown->ShowLabels(FALSE);
        CXTPControl* pMoreShades = pMore->GetControls()->Add(xtpControlButton, kGalleryMoreId);
        pMoreShades->SetCaption(_T("More Shades..."));
        pMoreShades->SetBeginGroup(TRUE);
        pGallery->SetCommandBar(pMore);
        pMore->InternalRelease();

        AddPopup(pShading, xtpControlSplitButtonPopup, kSplitId, _T("Fill"), ID_TIMER_CLOCK,
                 { { 2081, _T("Fill Row") }, { 2082, _T("Fill Column") } });
        AddPopup(pShading, xtpControlPopup, kPopupId, _T("Borders"), ID_BRANCH_BEGIN,
                 { { 2086, _T("Thin") }, { 2087, _T("Thick") } });

        // The View tab's "Font" group: a face box to type in, a size box with
        // spin buttons, and the command that opens the Customize sheet.
        CXTPRibbonGroup* pFont = pRibbon->GetTab(kViewTab)->AddGroup(_T("Font"), 31);
        CXTPControlComboBox* pFace = (CXTPControlComboBox*)pFont->Add(xtpControlComboBox, kFaceId, _T("Face"));
        pFace->SetDropDown(TRUE);
        pFace->AddString(_T("Tahoma"));
        pFace->AddString(_T("Segoe UI"));
        pFace->SetCurSel(0);
        pFace->SetWidth(140);
        CXTPControlEdit* pSize = (CXTPControlEdit*)pFont->Add(xtpControlEdit, kSizeId, _T("Size"));
        pSize->ShowSpinButtons(TRUE);
        pSize->SetEditText(_T("11"));
        pSize->SetWidth(140);
        pFont->Add(xtpControlButton, XTP_ID_CUSTOMIZE, _T("Customize..."))->SetStyle(xtpButtonCaption);

        m_pSystem = new CXTPRibbonControlSystemButton();
        m_pSystem->SetCaption(_T("&File"));
        m_pSystem->SetIconId(ID_NEW_PUZZLE);
        CXTPRibbonSystemPopupBar* pFileMenu = new CXTPRibbonSystemPopupBar();
        pFileMenu->SetCommandBars(GetCommandBars());
        pFileMenu->GetControls()->Add(xtpControlButton, ID_FILE_PRINT)->SetCaption(_T("&Print"));
        m_pSystem->SetCommandBar(pFileMenu);
        pFileMenu->InternalRelease();
        pRibbon->GetControls()->Add(m_pSystem, 2091);
        pRibbon->SetSystemButton(m_pSystem);
        pRibbon->EnableFrameTheme(TRUE);

        GetCommandBars()->GetShortcutManager()->LoadAccelerators(IDR_MAINFRAME);
        GetCommandBars()->LoadBarState(kStateKey);
        GetCommandBars()->GetShortcutManager()->LoadShortcuts(kStateKey);
        Settle();
    }

    // A popup control of a group with a popup bar of buttons.
    void AddPopup(CXTPRibbonGroup* pGroup, XTPControlType type, int nId, LPCTSTR lpszCaption, int nIconId,
                  const std::vector<std::pair<int, LPCTSTR>>& items)
    {
        CXTPControlPopup* pPopup = (CXTPControlPopup*)pGroup->Add(type, nId, lpszCaption);
        pPopup->SetIconId(nIconId);
        CXTPPopupBar* pBar = CXTPPopupBar::CreatePopupBar(GetCommandBars());
        for (const auto& item : items)
            pBar->GetControls()->Add(xtpControlButton, item.first)->SetCaption(item.second);
        pPopup->SetCommandBar(pBar);
        pBar->InternalRelease();
    }

    void PostNcDestroy() override
    {
        CXTPControlGalleryItems* pItems = m_pItems;
        CRibbonFrame::PostNcDestroy();
        // The galleries went with the bars: the program lets go of their items.
        if (pItems != NULL)
            pItems->InternalRelease();
    }

    afx_msg void OnCustomize()
    {
        CXTPCustomizeSheet sheet(GetCommandBars());
        CXTPCustomizeCommandsPage* pCommands = sheet.GetCommandsPage();
        pCommands->AddCategories(IDR_MAINFRAME);
        CXTPCustomizeKeyboardPage pageKeyboard(&sheet);
        sheet.AddPage(&pageKeyboard);
        pageKeyboard.AddCategories(IDR_MAINFRAME);
        if (m_fnCustomize)
        {
            testsupport::ModalDriver driver([&](HWND) { m_fnCustomize(&sheet); });
            sheet.DoModal();
        }
        else
        {
            sheet.DoModal();
        }
    }
    DECLARE_MESSAGE_MAP()

    CXTPRibbonControlSystemButton* m_pSystem = NULL;
};

bool CRibbonProgram::s_bGalleryIcon = true;

BEGIN_MESSAGE_MAP(CRibbonProgram, CRibbonFrame)
    ON_COMMAND(XTP_ID_CUSTOMIZE, OnCustomize)
    ON_COMMAND_RANGE(ID_FILE_OPEN, ID_FILE_OPEN, OnCommandRange)
    ON_COMMAND_RANGE(ID_FILE_PRINT, ID_FILE_PRINT, OnCommandRange)
END_MESSAGE_MAP()

// The ids of the quick-access toolbar in order.
std::vector<int> QuickAccessIds(CXTPRibbonBar* pRibbon)
{
    std::vector<int> ids;
    CXTPRibbonQuickAccessControls* pQuick = pRibbon->GetQuickAccessControls();
    for (int i = 0; i < pQuick->GetCount(); i++)
        ids.push_back(pQuick->GetAt(i)->GetID());
    return ids;
}

CXTPControl* QuickAccessControl(CXTPRibbonBar* pRibbon, int nId)
{
    CXTPRibbonQuickAccessControls* pQuick = pRibbon->GetQuickAccessControls();
    for (int i = 0; i < pQuick->GetCount(); i++)
        if (pQuick->GetAt(i)->GetID() == nId)
            return pQuick->GetAt(i);
    return NULL;
}

// The command of the open context menu, NULL when none shows it.
CXTPControl* OpenMenuItem(int nId)
{
    CXTPPopupBar* pMenu = TopTrackedPopup();
    if (pMenu == NULL)
        return NULL;
    CXTPControl* pItem = pMenu->GetControls()->FindControl(nId);
    return pItem != NULL && pItem->IsVisible() ? pItem : NULL;
}

// Picks a command of the ribbon's context menu by real input: a right click
// at a point of the screen, then, while the menu runs its own loop, a click
// on the menu's command (a menu without it, and any menu for command 0, is
// closed with Escape). The menu's visible commands go to pVisible.
::testing::AssertionResult PickFromContextMenu(CPoint ptScreen, int nCommand, std::vector<int>* pVisible = NULL)
{
    bool bShown = false, bClicked = false;
    int nTicks = 0;
    testsupport::TimerSteps steps([&] {
        CXTPPopupBar* pMenu = TopTrackedPopup();
        if (pMenu == NULL || !pMenu->IsWindowVisible())
            return ++nTicks > 100;
        bShown = true;
        for (int i = 0; pVisible != NULL && i < pMenu->GetControlCount(); i++)
            if (pMenu->GetControl(i)->IsVisible())
                pVisible->push_back(pMenu->GetControl(i)->GetID());
        CXTPControl* pItem = nCommand != 0 ? OpenMenuItem(nCommand) : NULL;
        if (pItem == NULL || !pItem->GetEnabled())
        {
            testsupport::PressKey(VK_ESCAPE);
            return true;
        }
        testsupport::ClickAt(ScreenCentre(pItem));
        bClicked = true;
        return true;
    });
    RealRightClick(ptScreen);
    PumpUntil([&] { return steps.IsDone() && TopTrackedPopup() == NULL; });
    if (!bShown)
        return ::testing::AssertionFailure() << "a right click showed no menu";
    if (!bClicked && nCommand != 0)
        return ::testing::AssertionFailure() << "the context menu has no enabled command " << nCommand;
    return ::testing::AssertionSuccess();
}

// The same with a right click on a control.
::testing::AssertionResult PickFromContextMenu(CXTPControl* pControl, int nCommand, std::vector<int>* pVisible = NULL)
{
    return PickFromContextMenu(ScreenCentre(pControl), nCommand, pVisible) << " (control " << pControl->GetID()
                                                                           << ")";
}

// The centre of a tab of the ribbon on the screen.
CPoint TabCentre(CXTPRibbonBar* pRibbon, int nTab)
{
    CPoint pt = pRibbon->GetTab(nTab)->GetRect().CenterPoint();
    pRibbon->ClientToScreen(&pt);
    return pt;
}

class RibbonCustomizationTest : public ::testing::Test
{
protected:
    RibbonCustomizationTest() : m_profile("BrindlemarkRibbonTests", "RibbonProgram") {}
    void SetUp() override { m_nLive = LiveObjects(); }
    void TearDown() override
    {
        Exit();
        CRibbonProgram::s_bGalleryIcon = true;
        PumpAndIdle();
        EXPECT_EQ(m_nLive, LiveObjects());
    }
    // Starts the program; a fatal failure when it cannot.
    void Launch()
    {
        m_pProgram = CRibbonProgram::Start();
        ASSERT_TRUE(m_pProgram != NULL);
        m_pRibbon = m_pProgram->GetRibbon();
    }
    // Ends the program, which saves what the user made.
    void Exit()
    {
        if (m_pProgram == NULL)
            return;
        XTPMouseManager()->CloseAllTracked();
        m_pProgram->DestroyRibbonFrame();
        m_pProgram = NULL;
        m_pRibbon = NULL;
        PumpAndIdle();
    }
    // Minimises or restores the ribbon with a double click on the Home tab.
    void MinimizeByDoubleClick(BOOL bMinimized)
    {
        if (m_pRibbon->IsMinimized() == bMinimized)
            return;
        RealClick(TabCentre(m_pRibbon, 0), 2);
        m_pProgram->Settle();
        XTPMouseManager()->CloseAllTracked();   // restoring opens nothing; minimising may leave a tab popup
        m_pProgram->Settle();
    }
    // Moves the quick-access toolbar with the context menu of one of its
    // controls.
    ::testing::AssertionResult MoveQuickAccess(BOOL bBelow)
    {
        if (m_pRibbon->IsQuickAccessBelow() == bBelow)
            return ::testing::AssertionSuccess();
        CXTPControl* pFirst = m_pRibbon->GetQuickAccessControls()->GetAt(0);
        return PickFromContextMenu(pFirst, bBelow ? XTP_ID_RIBBONCUSTOMIZE_QUICKACCESS_BELOW
                                                  : XTP_ID_RIBBONCUSTOMIZE_QUICKACCESS_ABOVE);
    }
    // Whether the last load set the stored controls aside as damaged.
    bool ControlsSetAside() const
    {
        return m_profile.HasSection((std::string(kStateKey) + "-ControlsNotLoaded").c_str());
    }

    testsupport::RegistryProfile m_profile;
    CRibbonProgram* m_pProgram = NULL;
    CXTPRibbonBar* m_pRibbon = NULL;
    LONG m_nLive = 0;
};

const std::vector<int> kBuiltInQuickAccess = { ID_NEW_PUZZLE, ID_SAVE_PUZZLE, ID_UNDO_MOVE };
const std::vector<int> kCustomizedQuickAccess = { ID_NEW_PUZZLE, ID_SAVE_PUZZLE, ID_UNDO_MOVE,
                                                  kGalleryId,    kSplitId,       kPopupId,
                                                  ID_FILE_PRINT };
} // namespace

// Three starts: the user adds a gallery, a split button, a popup and a
// button to the quick-access toolbar and leaves the ribbon minimised or not
// with the toolbar above or below; the next start turns both round; the
// third start still has all of it.
TEST_F(RibbonCustomizationTest, QuickAccessControlsOutliveThreeStartsInEveryRibbonState)
{
    for (int nCase = 0; nCase < 4; nCase++)
    {
        const BOOL bMinimized = (nCase & 1) != 0;
        const BOOL bBelow = (nCase & 2) != 0;
        SCOPED_TRACE(testing::Message() << "first start " << (bMinimized ? "minimised" : "restored") << ", "
                                        << (bBelow ? "below" : "above"));
        m_profile.DeleteKey();

        ASSERT_NO_FATAL_FAILURE(Launch());
        ASSERT_EQ(kBuiltInQuickAccess, QuickAccessIds(m_pRibbon));
        for (int nId : { kGalleryId, kSplitId, kPopupId, ID_FILE_PRINT })
        {
            CXTPControl* pControl = m_pProgram->GroupControl(nId);
            ASSERT_TRUE(pControl != NULL) << nId;
            ASSERT_TRUE(PickFromContextMenu(pControl, XTP_ID_RIBBONCUSTOMIZE_ADD));
        }
        ASSERT_EQ(kCustomizedQuickAccess, QuickAccessIds(m_pRibbon));
        ASSERT_TRUE(MoveQuickAccess(bBelow));
        MinimizeByDoubleClick(bMinimized);
        ASSERT_EQ(bMinimized, m_pRibbon->IsMinimized());
        Exit();

        // Second start: all is back; the user turns both states round.
        ASSERT_NO_FATAL_FAILURE(Launch());
        EXPECT_FALSE(ControlsSetAside());
        EXPECT_EQ(kCustomizedQuickAccess, QuickAccessIds(m_pRibbon));
        EXPECT_EQ(bMinimized, m_pRibbon->IsMinimized());
        EXPECT_EQ(bBelow, m_pRibbon->IsQuickAccessBelow());
        MinimizeByDoubleClick(!bMinimized);
        EXPECT_EQ(!bMinimized, m_pRibbon->IsMinimized());
        EXPECT_TRUE(MoveQuickAccess(!bBelow));
        Exit();

        // Third start.
        ASSERT_NO_FATAL_FAILURE(Launch());
        EXPECT_FALSE(ControlsSetAside()) << "the stored controls were judged damaged";
        EXPECT_EQ(kCustomizedQuickAccess, QuickAccessIds(m_pRibbon));
        EXPECT_EQ(!bMinimized, m_pRibbon->IsMinimized());
        EXPECT_EQ(!bBelow, m_pRibbon->IsQuickAccessBelow());
        // The popups came back whole with their controls.
        CXTPControlPopup* pGallery = DYNAMIC_DOWNCAST(CXTPControlPopup, QuickAccessControl(m_pRibbon, kGalleryId));
        CXTPControlPopup* pSplit = DYNAMIC_DOWNCAST(CXTPControlPopup, QuickAccessControl(m_pRibbon, kSplitId));
        CXTPControlPopup* pPopup = DYNAMIC_DOWNCAST(CXTPControlPopup, QuickAccessControl(m_pRibbon, kPopupId));
        ASSERT_TRUE(pGallery != NULL && pSplit != NULL && pPopup != NULL);
        EXPECT_EQ(xtpControlGallery, pGallery->GetType());
        EXPECT_EQ(xtpButtonIcon, pGallery->GetStyle());
        EXPECT_EQ(xtpControlSplitButtonPopup, pSplit->GetType());
        EXPECT_EQ(xtpControlPopup, pPopup->GetType());
        ASSERT_TRUE(pSplit->GetCommandBar() != NULL);
        EXPECT_TRUE(pSplit->GetCommandBar()->GetControls()->FindControl(2082) != NULL);
        ASSERT_TRUE(pPopup->GetCommandBar() != NULL);
        EXPECT_TRUE(pPopup->GetCommandBar()->GetControls()->FindControl(2087) != NULL);
        // The ribbon's own gallery keeps its "more" popup.
        CXTPControlPopup* pOwnGallery = DYNAMIC_DOWNCAST(CXTPControlPopup, m_pProgram->GroupControl(kGalleryId));
        ASSERT_TRUE(pOwnGallery != NULL);
        ASSERT_TRUE(pOwnGallery->GetCommandBar() != NULL);
        EXPECT_TRUE(pOwnGallery->GetCommandBar()->GetControls()->FindControl(kGalleryMoreId) != NULL);
        Exit();
    }
}

namespace
{
// The in-place gallery of a popup bar, NULL when it holds none; the number
// of them in nCount.
CXTPControlGallery* GalleryIn(CXTPCommandBar* pBar, int& nCount)
{
    CXTPControlGallery* pFirst = NULL;
    nCount = 0;
    for (int i = 0; pBar != NULL && i < pBar->GetControlCount(); i++)
    {
        CXTPControlGallery* pGallery = DYNAMIC_DOWNCAST(CXTPControlGallery, pBar->GetControl(i));
        if (pGallery != NULL && pGallery->IsInPlace() && nCount++ == 0)
            pFirst = pGallery;
    }
    return pFirst;
}
} // namespace

// A gallery added to the quick-access toolbar is a button as high as the
// toolbar's others, the caption row and the system button keep their size,
// and a click on it opens its own popup, which shows the gallery once, whose
// items run their command; so also after a restart.
TEST_F(RibbonCustomizationTest, AGalleryOnTheQuickAccessToolbarIsAButtonThatOpensTheGallery)
{
    ASSERT_NO_FATAL_FAILURE(Launch());
    CXTPRibbonQuickAccessControls* pQuick = m_pRibbon->GetQuickAccessControls();
    const int nButtonHeight = pQuick->GetAt(0)->GetRect().Height();
    const int nCaptionHeight = m_pRibbon->GetCaptionHeight();
    const CSize szSystem = m_pRibbon->GetSystemButton()->GetRect().Size();
    ASSERT_GT(nButtonHeight, 10);

    ASSERT_TRUE(PickFromContextMenu(m_pProgram->GroupControl(kGalleryId), XTP_ID_RIBBONCUSTOMIZE_ADD));
    for (int nStart = 0; nStart < 2; nStart++)
    {
        SCOPED_TRACE(nStart == 0 ? "added" : "after a restart");
        m_pProgram->Settle();
        CXTPControlGallery* pCopy = DYNAMIC_DOWNCAST(CXTPControlGallery, QuickAccessControl(m_pRibbon, kGalleryId));
        ASSERT_TRUE(pCopy != NULL);
        EXPECT_EQ(xtpButtonIcon, pCopy->GetStyle());
        EXPECT_TRUE(pCopy->IsVisible());
        CRect rcCopy = pCopy->GetRect();
        EXPECT_EQ(nButtonHeight, rcCopy.Height()) << "the gallery is no button of the toolbar";
        EXPECT_GE(2 * nButtonHeight, rcCopy.Width());
        EXPECT_TRUE(m_pRibbon->GetQuickAccessRect().PtInRect(rcCopy.CenterPoint()));
        EXPECT_EQ(nCaptionHeight, m_pRibbon->GetCaptionHeight()) << "the caption row grew";
        EXPECT_EQ(szSystem, m_pRibbon->GetSystemButton()->GetRect().Size()) << "the system button swelled";
        m_pRibbon->RedrawWindow();
        PumpAndIdle();
        EXPECT_TRUE(SaveWindowPicture(m_pRibbon->m_hWnd, nStart == 0 ? "gallery_on_quick_access"
                                                                     : "gallery_on_quick_access_restarted"));

        // A click opens the gallery with its items and the gallery's own commands.
        RealClick(ScreenCentre(pCopy));
        CXTPPopupBar* pPopup = NULL;
        EXPECT_TRUE(PumpUntil([&] {
            pPopup = TopTrackedPopup();
            return pPopup != NULL && pPopup->IsWindowVisible() && pPopup->GetControlPopup() == pCopy;
        })) << "a click on the gallery button opened nothing";
        ASSERT_TRUE(pPopup != NULL && pPopup->GetControlPopup() == pCopy);
        EXPECT_EQ(pCopy->GetCommandBar(), pPopup) << "the button opened another popup than its own";
        int nShown = 0;
        CXTPControlGallery* pShown = GalleryIn(pPopup, nShown);
        ASSERT_TRUE(pShown != NULL) << "the popup shows no gallery";
        EXPECT_EQ(1, nShown) << "the popup shows the gallery more than once";
        EXPECT_EQ(12, pShown->GetItemCount());
        EXPECT_TRUE(pPopup->GetControls()->FindControl(kGalleryMoreId) != NULL);
        EXPECT_GE(pShown->GetRect().Width(), 6 * 32);
        EXPECT_TRUE(SaveScreenPicture(m_pProgram->m_hWnd, nStart == 0 ? "gallery_popup_from_quick_access"
                                                                      : "gallery_popup_from_quick_access_restarted"));

        // A click on an item runs the gallery's command and closes the popup.
        m_pProgram->m_arrCommands.clear();
        CPoint ptItem = pShown->GetItemDrawRect(1).CenterPoint();
        pPopup->ClientToScreen(&ptItem);
        RealClick(ptItem);
        EXPECT_TRUE(PumpUntil([] { return TopTrackedPopup() == NULL; }));
        EXPECT_EQ(std::vector<UINT>{ (UINT)kGalleryId }, m_pProgram->m_arrCommands);
        XTPMouseManager()->CloseAllTracked();
        if (nStart == 0)
        {
            Exit();
            ASSERT_NO_FATAL_FAILURE(Launch());
        }
    }
}

namespace
{
// Runs a step while the program's Customize sheet is open, on the page of
// that index (the Commands page is 1, the Keyboard page the last); the
// sheet is closed after it. The sheet is opened by fnOpen when given (as
// the user opens it), else by the program's Customize command. Whether the
// sheet opened.
bool WithCustomizeSheet(CRibbonProgram* pProgram, int nPage, std::function<void(CPropertyPage*)> fnStep,
                        std::function<void()> fnOpen = nullptr)
{
    bool bRan = false;
    pProgram->m_fnCustomize = [&](CXTPCustomizeSheet* pSheet) {
        bRan = true;
        pSheet->SetActivePage(nPage < 0 ? pSheet->GetPageCount() - 1 : nPage);
        PumpAndIdle();
        fnStep(pSheet->GetActivePage());
        XTPMouseManager()->CloseAllTracked();
        ::PostMessage(pSheet->m_hWnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                      (LPARAM)::GetDlgItem(pSheet->m_hWnd, IDCANCEL));
    };
    if (fnOpen)
        fnOpen();
    else
        pProgram->PostMessage(WM_COMMAND, XTP_ID_CUSTOMIZE);
    PumpAndIdle();
    pProgram->m_fnCustomize = nullptr;
    return bRan;
}

// Selects the list entry whose item data is the control of a command, as a
// click on it would; its centre on the screen (-1, -1 when it is missing).
CPoint SelectCommandEntry(HWND hList, int nCommand)
{
    int nCount = (int)::SendMessage(hList, LB_GETCOUNT, 0, 0);
    for (int i = 0; i < nCount; i++)
    {
        CXTPControl* pControl = (CXTPControl*)::SendMessage(hList, LB_GETITEMDATA, i, 0);
        if (pControl == NULL || pControl == (CXTPControl*)(LONG_PTR)LB_ERR || pControl->GetID() != nCommand)
            continue;
        ::SendMessage(hList, LB_SETTOPINDEX, i, 0);
        ::SendMessage(hList, LB_SETCURSEL, i, 0);
        ::SendMessage(::GetParent(hList), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(hList), LBN_SELCHANGE),
                      (LPARAM)hList);
        RECT rc;
        ::SendMessage(hList, LB_GETITEMRECT, i, (LPARAM)&rc);
        CPoint pt((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
        ::ClientToScreen(hList, &pt);
        return pt;
    }
    return CPoint(-1, -1);
}

// Chooses the category of that caption in a page's list or combo box.
bool ChooseCategory(HWND hPage, int nId, LPCTSTR lpszCaption, bool bCombo)
{
    HWND hBox = ::GetDlgItem(hPage, nId);
    LRESULT nIndex = ::SendMessage(hBox, bCombo ? CB_FINDSTRINGEXACT : LB_FINDSTRINGEXACT, (WPARAM)-1,
                                   (LPARAM)lpszCaption);
    if (nIndex < 0)
        return false;
    ::SendMessage(hBox, bCombo ? CB_SETCURSEL : LB_SETCURSEL, nIndex, 0);
    ::SendMessage(hPage, WM_COMMAND, MAKEWPARAM(nId, bCombo ? CBN_SELCHANGE : LBN_SELCHANGE), (LPARAM)hBox);
    PumpAndIdle();
    return true;
}

// The events of a drag with the left button from one screen point to
// another, the button still held at the end.
std::vector<INPUT> DragInputs(CPoint ptFrom, CPoint ptTo)
{
    const DWORD dwAt = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    std::vector<INPUT> inputs = { testsupport::MouseInput(dwAt, ptFrom),
                                  testsupport::MouseInput(dwAt | MOUSEEVENTF_LEFTDOWN, ptFrom) };
    for (int i = 1; i <= 8; i++)
        inputs.push_back(testsupport::MouseInput(dwAt, ptFrom + CSize((ptTo - ptFrom).cx * i / 8,
                                                                      (ptTo - ptFrom).cy * i / 8)));
    return inputs;
}

// A whole real drag, let go at the end; returns once it is over.
void RealDrag(CXTPCustomizeDragTracker* pTracker, CPoint ptFrom, CPoint ptTo)
{
    std::vector<INPUT> inputs = DragInputs(ptFrom, ptTo);
    inputs.push_back(testsupport::MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_LEFTUP, ptTo));
    testsupport::SendInputs(inputs);
    PumpAndIdle();
    PumpUntil([&] { return !pTracker->IsDragging(); });
}

// A real click on a dialog's control.
void ClickDialogItem(HWND hDlg, int nId)
{
    CRect rc;
    ::GetWindowRect(::GetDlgItem(hDlg, nId), &rc);
    RealClick(rc.CenterPoint());
}

// File > Print chosen on the Keyboard page: the page's list of the keys of
// the command, or NULL when the command cannot be chosen.
HWND ChoosePrintOnTheKeyboardPage(HWND hPage)
{
    if (!ChooseCategory(hPage, 100, _T("File"), true) ||
        SelectCommandEntry(::GetDlgItem(hPage, 102), ID_FILE_PRINT).x == -1)
        return NULL;
    PumpAndIdle();
    return ::GetDlgItem(hPage, 104);
}
} // namespace

// A command dragged from the Commands page onto the quick-access toolbar
// shows the insertion mark there and lands where it was dropped, as a
// working button that stays after a restart; dragged over the groups it is
// refused and changes nothing.
TEST_F(RibbonCustomizationTest, ACommandDraggedFromTheCommandsPageLandsOnTheQuickAccessToolbar)
{
    ASSERT_NO_FATAL_FAILURE(Launch());
    CXTPRibbonQuickAccessControls* pQuick = m_pRibbon->GetQuickAccessControls();
    const int nGroupControls = m_pRibbon->GetControlCount();
    // Between the first and the second quick-access control.
    CRect rcSecond = pQuick->GetAt(1)->GetRect();
    CPoint ptDrop(rcSecond.left + 3, rcSecond.CenterPoint().y);
    m_pRibbon->ClientToScreen(&ptDrop);
    CPoint ptGroups = m_pProgram->GroupControl(ID_TIMER_PLAY)->GetRect().CenterPoint();
    m_pRibbon->ClientToScreen(&ptGroups);

    for (int nRound = 0; nRound < 2; nRound++)
    {
        const bool bOnToolbar = nRound == 1;
        SCOPED_TRACE(bOnToolbar ? "dropped on the quick-access toolbar" : "dropped on the groups");
        CRect rcMarkSeen;
        bool bDragSeen = false;
        ASSERT_TRUE(WithCustomizeSheet(m_pProgram, 1, [&](CPropertyPage* pPage) {
            ASSERT_TRUE(ChooseCategory(pPage->m_hWnd, 100, _T("File"), false));
            CPoint ptItem = SelectCommandEntry(::GetDlgItem(pPage->m_hWnd, 101), ID_FILE_OPEN);
            ASSERT_NE(-1, ptItem.x) << "the Commands page lists no Load Puzzle";
            CPoint ptTarget = bOnToolbar ? ptDrop : ptGroups;
            CXTPCustomizeDragTracker* pTracker = m_pProgram->GetCommandBars()->GetDragTracker();
            // The pointer rests over the target while the drag runs: the
            // mark it shows there is looked at before the button goes up.
            int nTicks = 0;
            testsupport::TimerSteps watch([&] {
                if (pTracker->IsDragging())
                {
                    bDragSeen = true;
                    if (++nTicks == 15)
                    {
                        rcMarkSeen = m_pRibbon->m_rcMarker;
                        m_pRibbon->UpdateWindow();
                        SaveScreenPicture(m_pProgram->m_hWnd, bOnToolbar ? "drag_over_quick_access"
                                                                          : "drag_over_groups");
                        testsupport::SendInputs({ testsupport::MouseInput(MOUSEEVENTF_LEFTUP) });
                        return true;
                    }
                }
                return false;
            });
            testsupport::SendInputs(DragInputs(ptItem, ptTarget));
            PumpUntil([&] { return watch.IsDone() && !pTracker->IsDragging(); });
            // A drag that never ran leaves no button held for what follows.
            if (!watch.IsDone())
            {
                watch.Stop();
                testsupport::SendInputs({ testsupport::MouseInput(MOUSEEVENTF_LEFTUP) });
                PumpUntil([&] { return !pTracker->IsDragging(); });
            }
        }));
        EXPECT_TRUE(bDragSeen) << "no drag ran";
        m_pProgram->Settle();
        if (!bOnToolbar)
        {
            EXPECT_TRUE(rcMarkSeen.IsRectEmpty()) << "an insertion mark among the groups";
            EXPECT_EQ(kBuiltInQuickAccess, QuickAccessIds(m_pRibbon));
            EXPECT_EQ(nGroupControls, m_pRibbon->GetControlCount()) << "the drop added a control to the ribbon";
            continue;
        }
        EXPECT_FALSE(rcMarkSeen.IsRectEmpty()) << "no insertion mark on the quick-access toolbar";
        EXPECT_TRUE(m_pRibbon->GetQuickAccessRect().PtInRect(rcMarkSeen.CenterPoint()));
        std::vector<int> expected = { ID_NEW_PUZZLE, ID_FILE_OPEN, ID_SAVE_PUZZLE, ID_UNDO_MOVE };
        EXPECT_EQ(expected, QuickAccessIds(m_pRibbon));
    }

    // The new button works, and it is still there after a restart.
    CXTPControl* pOpen = QuickAccessControl(m_pRibbon, ID_FILE_OPEN);
    ASSERT_TRUE(pOpen != NULL);
    EXPECT_EQ(pQuick->GetAt(0)->GetRect().Height(), pOpen->GetRect().Height());
    Exit();
    ASSERT_NO_FATAL_FAILURE(Launch());
    std::vector<int> expected = { ID_NEW_PUZZLE, ID_FILE_OPEN, ID_SAVE_PUZZLE, ID_UNDO_MOVE };
    EXPECT_EQ(expected, QuickAccessIds(m_pRibbon));
    EXPECT_FALSE(ControlsSetAside());
}

// With the Customize sheet open, a group's control dragged onto the
// client area stays in its group, and one dragged onto the quick-access
// toolbar stays too while a copy lands there; the context menu of a group's
// control offers only the copy of its image, that of a quick-access control
// every change. After a restart all is as it was left.
TEST_F(RibbonCustomizationTest, InCustomizeModeTheGroupsKeepTheirControls)
{
    ASSERT_NO_FATAL_FAILURE(Launch());
    const int nControls = m_pRibbon->GetControlCount();
    CXTPRibbonQuickAccessControls* pQuick = m_pRibbon->GetQuickAccessControls();
    CRect rcSecond = pQuick->GetAt(1)->GetRect();
    CPoint ptQuick(rcSecond.left + 3, rcSecond.CenterPoint().y);
    m_pRibbon->ClientToScreen(&ptQuick);
    CRect rcClient;
    m_pProgram->GetClientRect(&rcClient);
    CPoint ptAway(rcClient.CenterPoint().x, rcClient.bottom - 30);
    m_pProgram->ClientToScreen(&ptAway);
    CXTPCustomizeDragTracker* pTracker = m_pProgram->GetCommandBars()->GetDragTracker();

    std::vector<int> groupMenu, quickMenu;
    ASSERT_TRUE(WithCustomizeSheet(m_pProgram, 0, [&](CPropertyPage*) {
        // (The sheet lies over the groups right of Moves.)
        RealDrag(pTracker, ScreenCentre(m_pProgram->GroupControl(ID_FILE_OPEN)), ptAway);
        RealDrag(pTracker, ScreenCentre(m_pProgram->GroupControl(ID_FILE_PRINT)), ptQuick);
        SaveScreenPicture(m_pProgram->m_hWnd, "customize_group_drags");
        EXPECT_TRUE(PickFromContextMenu(m_pProgram->GroupControl(ID_BRANCH_ACCEPT), 0, &groupMenu));
        EXPECT_TRUE(PickFromContextMenu(QuickAccessControl(m_pRibbon, ID_NEW_PUZZLE), 0, &quickMenu));
    }));
    const std::vector<int> kWithPrint = { ID_NEW_PUZZLE, ID_FILE_PRINT, ID_SAVE_PUZZLE, ID_UNDO_MOVE };
    for (int nStart = 0; nStart < 2; nStart++)
    {
        SCOPED_TRACE(nStart == 0 ? "in the same run" : "after a restart");
        EXPECT_TRUE(m_pProgram->GroupControl(ID_FILE_OPEN) != NULL) << "a drag away took Open off its group";
        EXPECT_TRUE(m_pProgram->GroupControl(ID_FILE_PRINT) != NULL) << "a drag to the toolbar took Print off";
        EXPECT_EQ(kWithPrint, QuickAccessIds(m_pRibbon));
        EXPECT_EQ(nControls + 1, m_pRibbon->GetControlCount());
        Exit();
        ASSERT_NO_FATAL_FAILURE(Launch());
    }
    EXPECT_EQ(std::vector<int>{ XTP_ID_CUSTOMIZE_COPYBUTTONIMAGE }, groupMenu);
    for (int nId : { XTP_ID_CUSTOMIZE_DELETE, XTP_ID_CUSTOMIZE_NAME, XTP_ID_CUSTOMIZE_EDITBUTTONIMAGE })
        EXPECT_NE(quickMenu.end(), std::find(quickMenu.begin(), quickMenu.end(), nId)) << nId;
}

namespace
{
// Moves the open Customize sheet below the ribbon, out of the way of its
// groups, and lets the frame paint where it was.
void MoveSheetBelowRibbon(CXTPRibbonBar* pRibbon, CPropertyPage* pPage)
{
    CRect rcRibbon;
    pRibbon->GetWindowRect(&rcRibbon);
    pPage->GetParent()->SetWindowPos(NULL, rcRibbon.left + 200, rcRibbon.bottom + 40, 0, 0,
                                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    for (int i = 0; i < 5; i++)   // the display's exposures of the place it left
    {
        ::Sleep(20);
        PumpAndIdle();
    }
    pRibbon->GetParent()->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

// The index of the ribbon's selected tab, -1 when none is.
int SelectedTab(CXTPRibbonBar* pRibbon)
{
    for (int i = 0; i < pRibbon->GetTabCount(); i++)
        if (pRibbon->GetTab(i) == pRibbon->GetSelectedTab())
            return i;
    return -1;
}

// A quick-access copy of a command is one of the toolbar's small buttons:
// as high as its first button, on its row, its icon only (with a drop-down
// arrow for a popup), its caption only when it has no icon.
void ExpectSmallButton(CXTPRibbonBar* pRibbon, int nId, bool bCaption)
{
    SCOPED_TRACE(testing::Message() << "quick-access copy of " << nId);
    CXTPRibbonQuickAccessControls* pQuick = pRibbon->GetQuickAccessControls();
    CXTPControl* pCopy = pQuick->FindControl(nId);
    ASSERT_TRUE(pCopy != NULL);
    CRect rc = pCopy->GetRect();
    const int nHeight = pQuick->GetAt(0)->GetRect().Height();
    EXPECT_EQ(nHeight, rc.Height());
    EXPECT_TRUE(pRibbon->GetQuickAccessRect().PtInRect(rc.CenterPoint()));
    EXPECT_EQ(bCaption, pCopy->IsCaptionVisible() != FALSE);
    if (!bCaption)
        EXPECT_GE(nHeight + 14, rc.Width());
}
} // namespace

// Opened from the Font group's "Customize..." button, the sheet leaves the
// button as it was before the pointer came. With the sheet open, the Size
// box pressed on its text or on its spin buttons and the Face box pressed on
// its text, each dragged onto the client area, stay in their group; the Size
// box pressed on its text and dropped on the quick-access toolbar stays too
// while a copy lands there. After a restart all is as it was left.
TEST_F(RibbonCustomizationTest, InCustomizeModeABoxPressedOnItsTextStaysInItsGroup)
{
    ASSERT_NO_FATAL_FAILURE(Launch());
    RealClick(TabCentre(m_pRibbon, kViewTab));
    m_pProgram->Settle();
    ASSERT_EQ(m_pRibbon->GetTab(kViewTab), m_pRibbon->GetSelectedTab());
    const int nControls = m_pRibbon->GetControlCount();
    CXTPControlEdit* pSize = DYNAMIC_DOWNCAST(CXTPControlEdit, m_pProgram->GroupControl(kSizeId, kViewTab));
    CXTPControlComboBox* pFace = DYNAMIC_DOWNCAST(CXTPControlComboBox, m_pProgram->GroupControl(kFaceId, kViewTab));
    CXTPControl* pCustomize = m_pProgram->GroupControl(XTP_ID_CUSTOMIZE, kViewTab);
    ASSERT_TRUE(pSize != NULL && pFace != NULL && pCustomize != NULL);
    ASSERT_TRUE(pSize->GetEditCtrl()->GetSafeHwnd() != NULL && pFace->GetEditCtrl()->GetSafeHwnd() != NULL);
    // Where the user presses: the text of each box, and the Size box's
    // lower spin button.
    CRect rcSizeText, rcFaceText;
    pSize->GetEditCtrl()->GetWindowRect(&rcSizeText);
    pFace->GetEditCtrl()->GetWindowRect(&rcFaceText);
    CRect rcSpin = pSize->GetSpinButtonsRect();
    CPoint ptSpin(rcSpin.CenterPoint().x, rcSpin.bottom - 3);
    m_pRibbon->ClientToScreen(&ptSpin);
    CRect rcSecond = m_pRibbon->GetQuickAccessControls()->GetAt(1)->GetRect();
    CPoint ptQuick(rcSecond.left + 3, rcSecond.CenterPoint().y);
    m_pRibbon->ClientToScreen(&ptQuick);
    CRect rcClient;
    m_pProgram->GetClientRect(&rcClient);
    CPoint ptAway(rcClient.right - 40, rcClient.bottom - 30);
    m_pProgram->ClientToScreen(&ptAway);
    CXTPCustomizeDragTracker* pTracker = m_pProgram->GetCommandBars()->GetDragTracker();

    bool bCustomizeLit = true;
    ASSERT_TRUE(WithCustomizeSheet(
        m_pProgram, 0,
        [&](CPropertyPage* pPage) {
            // The user moves the sheet below the ribbon, out of the way.
            MoveSheetBelowRibbon(m_pRibbon, pPage);
            bCustomizeLit = pCustomize->GetSelected() != 0 || pCustomize->GetPressed() != 0;
            SaveScreenPicture(m_pProgram->m_hWnd, "customize_opened_from_group");
            RealDrag(pTracker, rcSizeText.CenterPoint(), ptAway);
            RealDrag(pTracker, ptSpin, ptAway);
            RealDrag(pTracker, rcFaceText.CenterPoint(), ptAway);
            RealDrag(pTracker, rcSizeText.CenterPoint(), ptQuick);
            SaveScreenPicture(m_pProgram->m_hWnd, "customize_box_drags");
        },
        [&] { RealClick(ScreenCentre(pCustomize)); }));
    EXPECT_FALSE(bCustomizeLit) << "the Customize... button stays lit while its sheet is open";
    const std::vector<int> kWithSize = { ID_NEW_PUZZLE, kSizeId, ID_SAVE_PUZZLE, ID_UNDO_MOVE };
    for (int nStart = 0; nStart < 2; nStart++)
    {
        SCOPED_TRACE(nStart == 0 ? "in the same run" : "after a restart");
        EXPECT_TRUE(m_pProgram->GroupControl(kSizeId, kViewTab) != NULL) << "a drag took Size off its group";
        EXPECT_TRUE(m_pProgram->GroupControl(kFaceId, kViewTab) != NULL) << "a drag took Face off its group";
        EXPECT_EQ(kWithSize, QuickAccessIds(m_pRibbon));
        EXPECT_EQ(nControls + 1, m_pRibbon->GetControlCount());
        Exit();
        ASSERT_NO_FATAL_FAILURE(Launch());
    }
}

// With the Customize sheet opened from the View tab, a click on the Home
// tab, the wheel over the ribbon and a double click on the selected tab do
// what they do without the sheet: the tab changes and its groups show, the
// ribbon folds and unfolds. A large button of the Home tab, and a command
// of the Insert tab (chosen with a click), dragged onto the quick-access
// toolbar, stay in their groups while copies land there as its small
// buttons (the Insert command, without an icon, shows its caption).
TEST_F(RibbonCustomizationTest, WithTheCustomizeSheetOpenTabsChangeAndTheirControlsCanBeCopied)
{
    const int kShadeCells = 2050, kInsertTab = 1;
    ASSERT_NO_FATAL_FAILURE(Launch());
    RealClick(TabCentre(m_pRibbon, kViewTab));
    m_pProgram->Settle();
    ASSERT_EQ(kViewTab, SelectedTab(m_pRibbon));
    CXTPControl* pCustomize = m_pProgram->GroupControl(XTP_ID_CUSTOMIZE, kViewTab);
    CXTPControl* pStart = m_pProgram->GroupControl(ID_TIMER_PLAY);
    CXTPControl* pFace = m_pProgram->GroupControl(kFaceId, kViewTab);
    CXTPControl* pShade = m_pProgram->GroupControl(kShadeCells, kInsertTab);
    ASSERT_TRUE(pCustomize != NULL && pStart != NULL && pFace != NULL && pShade != NULL);
    CXTPCustomizeDragTracker* pTracker = m_pProgram->GetCommandBars()->GetDragTracker();
    const int nControls = m_pRibbon->GetControlCount();

    std::vector<int> tabs;           // the tab selected after each step (-1 while folded)
    bool bHomeShown = false;
    ASSERT_TRUE(WithCustomizeSheet(
        m_pProgram, 1,
        [&](CPropertyPage* pPage) {
            MoveSheetBelowRibbon(m_pRibbon, pPage);
            auto note = [&] {
                m_pProgram->Settle();
                tabs.push_back(SelectedTab(m_pRibbon));
            };
            RealClick(TabCentre(m_pRibbon, 0));
            note();
            bHomeShown = pStart->IsVisible() && !pFace->IsVisible();
            CPoint ptGroups = m_pRibbon->GetGroupsRect().CenterPoint();
            m_pRibbon->ClientToScreen(&ptGroups);
            testsupport::WheelAt(ptGroups, -WHEEL_DELTA);   // towards the user: the next tab
            PumpUntil([&] { return SelectedTab(m_pRibbon) != 0; });
            note();
            testsupport::WheelAt(ptGroups, WHEEL_DELTA);
            PumpUntil([&] { return SelectedTab(m_pRibbon) != kInsertTab; });
            note();
            RealClick(TabCentre(m_pRibbon, 0), 2);
            note();
            RealClick(TabCentre(m_pRibbon, 0), 2);
            XTPMouseManager()->CloseAllTracked();
            note();
            CRect rcLast = m_pRibbon->GetQuickAccessControls()->GetAt(2)->GetRect();
            CPoint ptQuick(rcLast.right - 3, rcLast.CenterPoint().y);
            m_pRibbon->ClientToScreen(&ptQuick);
            RealDrag(pTracker, ScreenCentre(pStart), ptQuick);
            RealClick(TabCentre(m_pRibbon, kInsertTab));
            note();
            RealDrag(pTracker, ScreenCentre(pShade), ptQuick);
            m_pRibbon->RedrawWindow();
            SaveScreenPicture(m_pProgram->m_hWnd, "customize_other_tabs_commands_copied");
        },
        [&] { RealClick(ScreenCentre(pCustomize)); }));
    EXPECT_EQ((std::vector<int>{ 0, kInsertTab, 0, -1, 0, kInsertTab }), tabs) << "the tabs did not change as asked";
    EXPECT_TRUE(bHomeShown) << "the groups of the tab clicked did not show";
    std::vector<int> expected = kBuiltInQuickAccess;
    expected.insert(expected.end(), { kShadeCells, ID_TIMER_PLAY });
    EXPECT_EQ(expected, QuickAccessIds(m_pRibbon));
    EXPECT_EQ(nControls + 2, m_pRibbon->GetControlCount()) << "a drag took a control off its group";
    ExpectSmallButton(m_pRibbon, ID_TIMER_PLAY, false);
    ExpectSmallButton(m_pRibbon, kShadeCells, true);
}

// Open and Show Clock (large buttons), Print (its caption beside its icon),
// Fill (a split button) and Borders (a popup), added by "Add to Quick Access
// Toolbar", show on the toolbar as its small buttons: the toolbar's row, the
// caption, the ribbon and its groups keep their size and place, each
// control keeps its look in its group. So also after a restart, where the
// copies come from the store with their group's style (as stores written
// before always had them), and in the more-controls popup of a narrow
// frame. "Image and Text" chosen for a copy in the Customize sheet stands.
TEST_F(RibbonCustomizationTest, QuickAccessCopiesShowAsTheToolbarsSmallButtons)
{
    ASSERT_NO_FATAL_FAILURE(Launch());
    const int nQuickHeight = m_pRibbon->GetQuickAccessRect().Height();
    const int nCaptionHeight = m_pRibbon->GetCaptionHeight();
    const CRect rcGroups = m_pRibbon->GetGroupsRect();
    CRect rcRibbon, rcNow;
    m_pRibbon->GetWindowRect(&rcRibbon);
    const std::vector<int> kAdded = { ID_FILE_OPEN, ID_FILE_PRINT, ID_TIMER_CLOCK, kSplitId, kPopupId };
    std::vector<XTPButtonStyle> groupStyles;
    for (int nId : kAdded)
        groupStyles.push_back(m_pProgram->GroupControl(nId)->GetStyle());
    for (int nId : kAdded)
        ASSERT_TRUE(PickFromContextMenu(m_pProgram->GroupControl(nId), XTP_ID_RIBBONCUSTOMIZE_ADD)) << nId;

    for (int nStart = 0; nStart < 2; nStart++)
    {
        SCOPED_TRACE(nStart == 0 ? "added" : "after a restart");
        m_pProgram->Settle();
        for (size_t i = 0; i < kAdded.size(); i++)
        {
            ExpectSmallButton(m_pRibbon, kAdded[i], false);
            EXPECT_EQ(groupStyles[i], m_pProgram->GroupControl(kAdded[i])->GetStyle()) << kAdded[i];
        }
        EXPECT_EQ(xtpButtonIconAndCaptionBelow, QuickAccessControl(m_pRibbon, ID_FILE_OPEN)->m_buttonStyle);
        EXPECT_EQ(nQuickHeight, m_pRibbon->GetQuickAccessRect().Height()) << "the quick-access row grew";
        EXPECT_EQ(nCaptionHeight, m_pRibbon->GetCaptionHeight());
        EXPECT_EQ(rcGroups, m_pRibbon->GetGroupsRect()) << "the groups moved";
        m_pRibbon->GetWindowRect(&rcNow);
        EXPECT_EQ(rcRibbon.Height(), rcNow.Height()) << "the ribbon grew";
        m_pRibbon->RedrawWindow();
        EXPECT_TRUE(SaveWindowPicture(m_pRibbon->m_hWnd, nStart == 0 ? "quick_access_small_buttons"
                                                                     : "quick_access_small_buttons_restarted"));
        if (nStart == 0)
        {
            Exit();
            ASSERT_NO_FATAL_FAILURE(Launch());
        }
    }

    // The copies that do not fit a narrow frame, in the more-controls popup.
    CRect rcFrame;
    m_pProgram->GetWindowRect(&rcFrame);
    m_pProgram->SetWindowPos(NULL, 0, 0, 330, rcFrame.Height(), SWP_NOMOVE | SWP_NOZORDER);
    m_pProgram->Settle();
    CXTPControl* pMore = m_pRibbon->GetControls()->FindControl(XTP_ID_RIBBONCONTROLQUICKACCESSMORE);
    ASSERT_TRUE(pMore != NULL && pMore->IsVisible()) << "no copy was wrapped";
    RealClick(ScreenCentre(pMore));
    CXTPPopupBar* pPopup = NULL;
    ASSERT_TRUE(PumpUntil([&] { return (pPopup = TopTrackedPopup()) != NULL && pPopup->IsWindowVisible(); }));
    EXPECT_TRUE(SaveScreenPicture(m_pProgram->m_hWnd, "quick_access_more_controls"));
    int nCopies = 0;
    for (int i = 0; i < pPopup->GetControlCount(); i++)
    {
        CXTPControl* pControl = pPopup->GetControl(i);
        if (std::find(kAdded.begin(), kAdded.end(), pControl->GetID()) == kAdded.end())
            continue;
        nCopies++;
        EXPECT_EQ(m_pRibbon->GetButtonSize().cy, pControl->GetRect().Height()) << pControl->GetID();
        EXPECT_FALSE(pControl->IsCaptionVisible()) << pControl->GetID();
    }
    EXPECT_GT(nCopies, 0) << "the popup shows none of the copies";
    XTPMouseManager()->CloseAllTracked();
    m_pProgram->SetWindowPos(NULL, 0, 0, rcFrame.Width(), rcFrame.Height(), SWP_NOMOVE | SWP_NOZORDER);
    m_pProgram->Settle();

    ASSERT_TRUE(WithCustomizeSheet(m_pProgram, 0, [&](CPropertyPage* pPage) {
        MoveSheetBelowRibbon(m_pRibbon, pPage);
        EXPECT_TRUE(PickFromContextMenu(QuickAccessControl(m_pRibbon, ID_FILE_OPEN), XTP_ID_CUSTOMIZE_IMAGEANDTEXT));
    }));
    m_pProgram->Settle();
    ExpectSmallButton(m_pRibbon, ID_FILE_OPEN, true);
    EXPECT_EQ(nQuickHeight, m_pRibbon->GetQuickAccessRect().Height());
    m_pRibbon->RedrawWindow();
    EXPECT_TRUE(SaveWindowPicture(m_pRibbon->m_hWnd, "quick_access_image_and_text_chosen"));
}

// With the Customize sheet open, a screen reader's default action on a
// group's control and on a quick-access control, and a customise drag of a
// quick-access control begun with no button held, each followed by a mouse
// move over the client area: every control stays where it is, and the last
// one chosen is the customize selection.
TEST_F(RibbonCustomizationTest, InCustomizeModeTheDefaultActionLeavesAControlWhereItIs)
{
    ASSERT_NO_FATAL_FAILURE(Launch());
    const int nControls = m_pRibbon->GetControlCount();
    CRect rcClient;
    m_pProgram->GetClientRect(&rcClient);
    CXTPCommandBars* pCommandBars = m_pProgram->GetCommandBars();
    CXTPCustomizeDragTracker* pTracker = pCommandBars->GetDragTracker();
    VARIANT varSelf;
    varSelf.vt = VT_I4;
    varSelf.lVal = CHILDID_SELF;
    ASSERT_TRUE(WithCustomizeSheet(m_pProgram, 0, [&](CPropertyPage*) {
        for (int nCase = 0; nCase < 3; nCase++)
        {
            SCOPED_TRACE(nCase);
            CXTPControl* pControl = nCase == 0 ? m_pProgram->GroupControl(ID_FILE_OPEN)
                                               : QuickAccessControl(m_pRibbon, ID_SAVE_PUZZLE);
            ASSERT_TRUE(pControl != NULL);
            CPoint ptAway(rcClient.right - 40 - 30 * nCase, rcClient.bottom - 30);
            m_pProgram->ClientToScreen(&ptAway);
            // The mouse moves a while after, also inside a drag's own loop.
            int nTicks = 0;
            testsupport::TimerSteps move([&] {
                if (++nTicks < 3)
                    return false;
                testsupport::SendInputs({ testsupport::MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, ptAway) });
                return true;
            });
            if (nCase < 2)
                EXPECT_EQ(S_OK, pControl->AccessibleDoDefaultAction(varSelf));
            else
                pControl->OnCustomizeClick(pControl->GetRect().CenterPoint());
            PumpUntil([&] { return move.IsDone() && !pTracker->IsDragging(); });
            PumpAndIdle();
            EXPECT_EQ(pControl, pCommandBars->GetDragControl());
        }
    }));
    EXPECT_TRUE(m_pProgram->GroupControl(ID_FILE_OPEN) != NULL) << "Open left its group";
    EXPECT_EQ(kBuiltInQuickAccess, QuickAccessIds(m_pRibbon));
    EXPECT_EQ(nControls, m_pRibbon->GetControlCount());
}

// Reset on the Toolbars page asks about "The Ribbon"; Cancel keeps the
// toolbar as the user made it, OK brings back the controls it was built
// with (a removed one again, the added ones gone), also after a restart,
// and leaves the groups alone.
TEST_F(RibbonCustomizationTest, ResetOnTheRibbonBringsBackTheQuickAccessToolbarItWasBuiltWith)
{
    ASSERT_NO_FATAL_FAILURE(Launch());
    const int nControls = m_pRibbon->GetControlCount();
    ASSERT_TRUE(PickFromContextMenu(m_pProgram->GroupControl(kGalleryId), XTP_ID_RIBBONCUSTOMIZE_ADD));
    ASSERT_TRUE(PickFromContextMenu(m_pProgram->GroupControl(ID_FILE_PRINT), XTP_ID_RIBBONCUSTOMIZE_ADD));
    ASSERT_TRUE(PickFromContextMenu(QuickAccessControl(m_pRibbon, ID_SAVE_PUZZLE), XTP_ID_RIBBONCUSTOMIZE_REMOVE));
    const std::vector<int> kMade = { ID_NEW_PUZZLE, ID_UNDO_MOVE, kGalleryId, ID_FILE_PRINT };
    ASSERT_EQ(kMade, QuickAccessIds(m_pRibbon));

    for (int nAnswer : { IDCANCEL, IDOK })
    {
        testsupport::Boxes().texts.clear();
        testsupport::Boxes().nAnswer = nAnswer;
        ASSERT_TRUE(WithCustomizeSheet(m_pProgram, 0, [&](CPropertyPage* pPage) {
            HWND hList = ::GetDlgItem(pPage->m_hWnd, 100);
            LRESULT nItem = ::SendMessage(hList, LB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM) _T("The Ribbon"));
            ASSERT_NE(LB_ERR, nItem) << "the Toolbars page does not list the ribbon";
            ::SendMessage(hList, LB_SETCURSEL, nItem, 0);
            ::SendMessage(pPage->m_hWnd, WM_COMMAND, MAKEWPARAM(100, LBN_SELCHANGE), (LPARAM)hList);
            ClickDialogItem(pPage->m_hWnd, 104);
        }));
        testsupport::Boxes().nAnswer = IDOK;
        ASSERT_EQ(1u, testsupport::Boxes().texts.size());
        EXPECT_EQ("Are you sure you want to reset the changes made to the 'The Ribbon' toolbar?",
                  testsupport::Boxes().texts[0]);
        EXPECT_EQ(nAnswer == IDOK ? kBuiltInQuickAccess : kMade, QuickAccessIds(m_pRibbon));
    }
    EXPECT_EQ(nControls, m_pRibbon->GetControlCount());
    EXPECT_TRUE(m_pProgram->GroupControl(ID_FILE_PRINT) != NULL);
    Exit();
    ASSERT_NO_FATAL_FAILURE(Launch());
    EXPECT_EQ(kBuiltInQuickAccess, QuickAccessIds(m_pRibbon));
    EXPECT_FALSE(ControlsSetAside());
}

// Ctrl+P set again for Print on the Keyboard page is kept; after a restart
// the page shows it, and once the sheet is closed the key runs Print and the
// program still closes when asked to.
TEST_F(RibbonCustomizationTest, AShortcutSetOnTheKeyboardPageWorksAfterARestart)
{
    ASSERT_NO_FATAL_FAILURE(Launch());
    ASSERT_TRUE(WithCustomizeSheet(m_pProgram, -1, [&](CPropertyPage* pPage) {
        HWND hPage = pPage->m_hWnd;
        HWND hKeys = ChoosePrintOnTheKeyboardPage(hPage);
        ASSERT_TRUE(hKeys != NULL) << "File > Print cannot be chosen";
        // The program's own Ctrl+P goes, then the user gives it back.
        ASSERT_EQ(1, (int)::SendMessage(hKeys, LB_GETCOUNT, 0, 0));
        ::SendMessage(hKeys, LB_SETCURSEL, 0, 0);
        ::SendMessage(hPage, WM_COMMAND, MAKEWPARAM(104, LBN_SELCHANGE), (LPARAM)hKeys);
        ClickDialogItem(hPage, 108);
        EXPECT_EQ(0, (int)::SendMessage(hKeys, LB_GETCOUNT, 0, 0)) << "Remove left the key";
        ClickDialogItem(hPage, 106);
        testsupport::PressKeys({ VK_CONTROL, 'P' });
        PumpUntil([&] { return ::IsWindowEnabled(::GetDlgItem(hPage, 107)) != FALSE; });
        ClickDialogItem(hPage, 107);
        EXPECT_EQ(1, (int)::SendMessage(hKeys, LB_GETCOUNT, 0, 0)) << "Assign set no key";
    }));
    Exit();

    ASSERT_NO_FATAL_FAILURE(Launch());
    CString strShortcut;
    EXPECT_TRUE(m_pProgram->GetCommandBars()->GetShortcutManager()->FindDefaultAccelerator(ID_FILE_PRINT,
                                                                                            strShortcut));
    EXPECT_EQ(CString(_T("Ctrl+P")), strShortcut);
    // The user looks at it on the Keyboard page, and closes the sheet.
    ASSERT_TRUE(WithCustomizeSheet(m_pProgram, -1, [&](CPropertyPage* pPage) {
        HWND hPage = pPage->m_hWnd;
        HWND hKeys = ChoosePrintOnTheKeyboardPage(hPage);
        ASSERT_TRUE(hKeys != NULL) << "File > Print cannot be chosen";
        ASSERT_EQ(1, (int)::SendMessage(hKeys, LB_GETCOUNT, 0, 0));
        char szKey[64] = "";
        ::SendMessageA(hKeys, LB_GETTEXT, 0, (LPARAM)szKey);
        EXPECT_STREQ("Ctrl+P", szKey);
    }));
    m_pProgram->Settle();
    // The key works after a click on a button and after a click on an item
    // of the ribbon's gallery, as the user made before the key.
    CXTPControlGallery* pGallery = DYNAMIC_DOWNCAST(CXTPControlGallery, m_pProgram->GroupControl(kGalleryId));
    ASSERT_TRUE(pGallery != NULL);
    CPoint ptItem = pGallery->GetItemDrawRect(2).CenterPoint();
    m_pRibbon->ClientToScreen(&ptItem);
    for (CPoint ptClick : { ScreenCentre(m_pProgram->GroupControl(ID_TIMER_PLAY)), ptItem })
    {
        RealClick(ptClick);
        m_pProgram->m_arrCommands.clear();
        testsupport::PressKeys({ VK_CONTROL, 'P' });
        EXPECT_TRUE(PumpUntil([&] { return !m_pProgram->m_arrCommands.empty(); })) << "Ctrl+P ran nothing";
        EXPECT_EQ(std::vector<UINT>{ ID_FILE_PRINT }, m_pProgram->m_arrCommands);
    }

    // Asked to close, the program closes.
    HWND hWnd = m_pProgram->m_hWnd;
    ::PostMessage(hWnd, WM_CLOSE, 0, 0);
    MSG quit;
    for (int i = 0; i < 100 && ::IsWindow(hWnd); i++)
    {
        testsupport::PumpPending(10000, &quit);
        ::Sleep(20);
    }
    EXPECT_FALSE(::IsWindow(hWnd)) << "the program did not close";
    if (!::IsWindow(hWnd))
    {
        m_pProgram = NULL;
        m_pRibbon = NULL;
    }
    testsupport::DrainQuit();
}

namespace
{
// A copy on the quick-access toolbar or in its more-controls popup shows its
// caption, as high as the toolbar's buttons: the screen shows its text.
void ExpectCaptionShown(CXTPControl* pCopy, int nHeight)
{
    SCOPED_TRACE(testing::Message() << "copy of " << pCopy->GetID());
    EXPECT_TRUE(pCopy->IsVisible());
    EXPECT_TRUE(pCopy->IsCaptionVisible());
    EXPECT_EQ(nHeight, pCopy->GetRect().Height());
    Ink ink = ControlInkOnScreen(pCopy);
    EXPECT_GE(ink.nPixels, 20) << "the slot is blank";
    EXPECT_GE(ink.nSpan, pCopy->GetRect().Width() / 2) << "no caption runs across the slot";
}
} // namespace

// The Shading group's gallery ("Shades") without an icon, and the Shading
// group, added by "Add to Quick Access Toolbar", show their captions on the
// toolbar, whose row and ribbon keep their height; so after a restart, and
// in the more-controls popup of a narrow frame.
TEST_F(RibbonCustomizationTest, CopiesWithoutAnIconShowTheirCaptionsOnTheQuickAccessToolbar)
{
    CRibbonProgram::s_bGalleryIcon = false;
    ASSERT_NO_FATAL_FAILURE(Launch());
    const int nQuickHeight = m_pRibbon->GetQuickAccessRect().Height();
    CRect rcRibbon, rcNow;
    m_pRibbon->GetWindowRect(&rcRibbon);
    CXTPControl* pGallery = m_pProgram->GroupControl(kGalleryId);
    ASSERT_TRUE(PickFromContextMenu(pGallery, XTP_ID_RIBBONCUSTOMIZE_ADD));
    CXTPRibbonGroup* pShading = pGallery->GetRibbonGroup();
    const int nShadingId = pShading->GetControlGroupPopup()->GetID();
    CPoint ptShading(pShading->GetRect().CenterPoint().x, pShading->GetRect().bottom - 5);
    m_pRibbon->ClientToScreen(&ptShading);
    ASSERT_TRUE(PickFromContextMenu(ptShading, XTP_ID_RIBBONCUSTOMIZE_ADD)) << "the Shading group's caption";

    for (int nStart = 0; nStart < 2; nStart++)
    {
        SCOPED_TRACE(nStart == 0 ? "added" : "after a restart");
        m_pProgram->Settle();
        m_pRibbon->RedrawWindow();
        PumpAndIdle();
        EXPECT_TRUE(SaveScreenPicture(m_pProgram->m_hWnd, nStart == 0 ? "quick_access_captions"
                                                                      : "quick_access_captions_restarted"));
        const int nHeight = m_pRibbon->GetQuickAccessControls()->GetAt(0)->GetRect().Height();
        for (int nId : { kGalleryId, nShadingId })
        {
            CXTPControl* pCopy = QuickAccessControl(m_pRibbon, nId);
            ASSERT_TRUE(pCopy != NULL) << nId;
            ExpectCaptionShown(pCopy, nHeight);
        }
        EXPECT_EQ(nQuickHeight, m_pRibbon->GetQuickAccessRect().Height()) << "the quick-access row grew";
        m_pRibbon->GetWindowRect(&rcNow);
        EXPECT_EQ(rcRibbon.Height(), rcNow.Height()) << "the ribbon grew";
        if (nStart == 0)
        {
            Exit();
            ASSERT_NO_FATAL_FAILURE(Launch());
        }
    }

    // Narrowed until the gallery's copy no longer fits, the frame shows both
    // copies in the more-controls popup.
    CRect rcFrame;
    m_pProgram->GetWindowRect(&rcFrame);
    CXTPControl* pCopy = QuickAccessControl(m_pRibbon, kGalleryId);
    for (int cx = 330; cx > 200 && (pCopy->GetHideFlags() & xtpHideWrap) == 0; cx -= 10)
    {
        m_pProgram->SetWindowPos(NULL, 0, 0, cx, rcFrame.Height(), SWP_NOMOVE | SWP_NOZORDER);
        m_pProgram->Settle();
    }
    ASSERT_NE(0u, pCopy->GetHideFlags() & xtpHideWrap) << "the gallery's copy still fits";
    RealClick(ScreenCentre(m_pRibbon->GetControls()->FindControl(XTP_ID_RIBBONCONTROLQUICKACCESSMORE)));
    CXTPPopupBar* pPopup = NULL;
    ASSERT_TRUE(PumpUntil([&] { return (pPopup = TopTrackedPopup()) != NULL && pPopup->IsWindowVisible(); }));
    EXPECT_TRUE(SaveScreenPicture(m_pProgram->m_hWnd, "quick_access_captions_more_controls"));
    for (int nId : { kGalleryId, nShadingId })
    {
        CXTPControl* pShown = pPopup->GetControls()->FindControl(nId);
        ASSERT_TRUE(pShown != NULL) << nId << " is not in the popup";
        ExpectCaptionShown(pShown, m_pRibbon->GetButtonSize().cy);
    }
}
