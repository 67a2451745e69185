// Popup bars: placement within the work area, short menus and the expand
// button, scrolling, the popup-menu loop and its ending, and popup toolbars.
// ctest: run-serial (popup loops end when the frame loses activation)
#include "support/commandbars_testframe.h"
#include "XTPControlButton.h"
#include "XTPDefaultTheme.h"
#include "XTPSoundManager.h"
#include "support/keyinput.h"

#include <string>
#include <vector>

using namespace cbtest;

namespace
{
class SizedControl : public CXTPControlButton
{
public:
    explicit SizedControl(CSize sz = CSize(120, 22)) : m_sz(sz) {}
    CSize GetSize(CDC*) override { return m_sz; }
    CSize m_sz;
};

// A theme that records which way each expansion grows.
class ExpansionRecordingTheme : public XTPPaintThemes::CXTPDefaultTheme
{
public:
    void AnimateExpanding(CXTPCommandBar*, CDC*, CDC*, BOOL bExpandDown) override { m_arrDown.push_back(bExpandDown); }
    std::vector<BOOL> m_arrDown;
};

class PopupBarTest : public CommandBarsFrameTest
{
protected:
    void SetUp() override
    {
        CommandBarsFrameTest::SetUp();
        if (HasFatalFailure())
            return;
        ::SystemParametersInfo(SPI_GETWORKAREA, 0, &m_rcWork, 0);
        PumpAndIdle();
    }
    // A popup bar of n sized items, owned by the test.
    CXTPPopupBar* MakePopup(int nItems, CSize szItem = CSize(120, 22))
    {
        CXTPPopupBar* pPopup = CXTPPopupBar::CreatePopupBar(m_pCommandBars);
        for (int i = 0; i < nItems; i++)
            pPopup->GetControls()->Add(new SizedControl(szItem), 3000 + i);
        return pPopup;
    }
    CRect m_rcWork;
};
} // namespace

TEST_F(PopupBarTest, ContextMenuPlacement)
{
    CXTPPopupBar* pPopup = MakePopup(4);
    CSize sz(100, 200);

    // Below and right of the point when there is room.
    pPopup->m_ptPopup = CPoint(50, 60);
    pPopup->m_rcExclude.SetRectEmpty();
    pPopup->m_popupFlags = 0;
    EXPECT_EQ(CRect(50, 60, 150, 260), pPopup->CalcPopupRect(sz));

    // Low on the screen: upwards from the point.
    pPopup->m_ptPopup = CPoint(50, m_rcWork.bottom - 50);
    CRect rc = pPopup->CalcPopupRect(sz);
    EXPECT_EQ(m_rcWork.bottom - 50 - 200, rc.top);

    // At the right edge: left of the edge.
    pPopup->m_ptPopup = CPoint(m_rcWork.right - 10, 60);
    rc = pPopup->CalcPopupRect(sz);
    EXPECT_EQ(m_rcWork.right - 100, rc.left);
    pPopup->InternalRelease();
}

TEST_F(PopupBarTest, DropDownPlacementBesideAndBelowControls)
{
    CXTPPopupBar* pPopup = MakePopup(4);
    CSize sz(100, 200);

    // Below a menu-bar title near the right edge: right-aligned under it.
    pPopup->m_popupFlags = xtpPopupDown;
    pPopup->m_rcExclude = CRect(m_rcWork.right - 40, 100, m_rcWork.right - 5, 120);
    pPopup->m_ptPopup = CPoint(pPopup->m_rcExclude.left, pPopup->m_rcExclude.bottom);
    CRect rc = pPopup->CalcPopupRect(sz);
    EXPECT_EQ(m_rcWork.right - 100, rc.left);
    EXPECT_EQ(120, rc.top);

    // Beside a submenu item near the right edge: to the left of the item.
    pPopup->m_popupFlags = 0;
    pPopup->m_rcExclude = CRect(m_rcWork.right - 150, 100, m_rcWork.right - 20, 120);
    pPopup->m_ptPopup = CPoint(pPopup->m_rcExclude.right, pPopup->m_rcExclude.top);
    rc = pPopup->CalcPopupRect(sz);
    EXPECT_EQ(m_rcWork.right - 150 - 100, rc.left);
    EXPECT_TRUE(pPopup->m_popupFlags & xtpPopupLeft);

    // A drop-down that does not fit below its button opens above it.
    pPopup->m_popupFlags = xtpPopupDown;
    pPopup->m_rcExclude = CRect(100, m_rcWork.bottom - 60, 150, m_rcWork.bottom - 40);
    pPopup->m_ptPopup = CPoint(100, m_rcWork.bottom - 40);
    rc = pPopup->CalcPopupRect(sz);
    EXPECT_EQ(m_rcWork.bottom - 60 - 200, rc.top);
    EXPECT_FALSE(pPopup->IsScrolling());
    pPopup->InternalRelease();
}

TEST_F(PopupBarTest, TooTallForEitherSideScrolls)
{
    int nItems = m_rcWork.Height() / 22 + 10;
    CXTPPopupBar* pPopup = MakePopup(nItems);
    CXTPMenuBar* pMenuBar = m_pFrame->GetMenuBar();
    CXTPControlPopup* pTitle = DYNAMIC_DOWNCAST(CXTPControlPopup, pMenuBar->GetControl(0));
    pTitle->SetCommandBar(pPopup);
    pPopup->InternalRelease();
    ASSERT_TRUE(pMenuBar->SetPopuped(0));
    EXPECT_TRUE(pPopup->IsScrolling());
    CRect rcWindow;
    pPopup->GetWindowRect(&rcWindow);
    EXPECT_LE(rcWindow.bottom, m_rcWork.bottom);
    EXPECT_GT(pPopup->GetLastVisible(), 0);
    EXPECT_LT(pPopup->GetLastVisible(), nItems);
    EXPECT_FALSE(pPopup->GetScrollDown().rc.IsRectEmpty());
    EXPECT_TRUE(pPopup->GetScrollUp().rc.IsRectEmpty());
    CXTPControl* pLast = pPopup->GetControl(nItems - 1);
    EXPECT_TRUE(pLast->GetHideFlags() & xtpHideScroll);

    // The keyboard brings a scrolled-out item into view.
    pPopup->SetSelected(nItems - 1, TRUE);
    EXPECT_EQ(0u, pLast->GetHideFlags() & xtpHideScroll);
    EXPECT_FALSE(pPopup->GetScrollUp().rc.IsRectEmpty());
    pMenuBar->SetTrackingMode(FALSE);
}

TEST_F(PopupBarTest, ShortMenusHideRarelyUsedCommandsUntilExpanded)
{
    m_pCommandBars->GetCommandBarsOptions()->bAlwaysShowFullMenus = FALSE;
    const UINT hidden[] = { ID_SAVE_PUZZLE_AS, ID_PRINT_PUZZLE_BOOK };
    m_pCommandBars->HideCommands(hidden, 2);

    CXTPMenuBar* pMenuBar = m_pFrame->GetMenuBar();
    CXTPPopupBar* pFile = DYNAMIC_DOWNCAST(CXTPPopupBar, pMenuBar->GetControl(0)->GetCommandBar());
    ASSERT_TRUE(pMenuBar->SetPopuped(0));
    CXTPControl* pSaveAs = pFile->GetControls()->FindControl(ID_SAVE_PUZZLE_AS);
    CXTPControl* pExpand = pFile->GetControls()->FindControl(XTP_ID_POPUPBAR_EXPAND);
    ASSERT_NE(nullptr, pSaveAs);
    ASSERT_NE(nullptr, pExpand);
    EXPECT_TRUE(pSaveAs->GetHideFlags() & xtpHideExpand);
    EXPECT_TRUE(pExpand->IsVisible());
    EXPECT_TRUE(pFile->HasHiddenCommands());

    // The expand button shows them, and the next popups of the loop open full.
    pExpand->OnExecute();
    EXPECT_FALSE(pSaveAs->GetHideFlags() & xtpHideExpand);
    EXPECT_TRUE(pSaveAs->GetExpanded()) << "still marked rarely used (drawn so)";
    EXPECT_FALSE(pExpand->IsVisible());
    EXPECT_TRUE(XTPMouseManager()->IsForceExpanded());

    // Using a hidden command makes it a shown one.
    m_pCommandBars->SetCommandUsed(ID_SAVE_PUZZLE_AS);
    EXPECT_FALSE(m_pCommandBars->IsCommandHidden(ID_SAVE_PUZZLE_AS));
    pMenuBar->SetTrackingMode(FALSE);
    EXPECT_FALSE(XTPMouseManager()->IsForceExpanded()) << "the menu loop ended";
}

TEST_F(PopupBarTest, AMenuOfOnlyRarelyUsedCommandsShowsThemAll)
{
    m_pCommandBars->GetCommandBarsOptions()->bAlwaysShowFullMenus = FALSE;
    const UINT hidden[] = { ID_BRANCH_BEGIN, ID_BRANCH_ACCEPT, ID_BRANCH_REVERT };
    m_pCommandBars->HideCommands(hidden, 3);
    m_pCommandBars->GetCommandBarsOptions()->bAutoHideUnusedPopups = FALSE;
    CXTPControls* pEdit = m_pFrame->GetMenuBar()->GetControl(1)->GetCommandBar()->GetControls();
    CXTPControlPopup* pBranching = NULL;
    for (int i = 0; i < pEdit->GetCount(); i++)
    {
        if (pEdit->GetAt(i)->GetCommandBar() != NULL)
            pBranching = DYNAMIC_DOWNCAST(CXTPControlPopup, pEdit->GetAt(i));
    }
    ASSERT_NE(nullptr, pBranching);
    CXTPPopupBar* pPopup = DYNAMIC_DOWNCAST(CXTPPopupBar, pBranching->GetCommandBar());
    ASSERT_TRUE(pPopup->PopupAt(100, 100));
    EXPECT_FALSE(pPopup->HasHiddenCommands());
    for (int i = 0; i < pPopup->GetControlCount(); i++)
        EXPECT_TRUE(pPopup->GetControl(i)->GetID() == XTP_ID_POPUPBAR_EXPAND || pPopup->GetControl(i)->IsVisible());
    pPopup->SetTrackingMode(FALSE);

    // With unused popups hidden, the whole Branching item counts as hidden.
    m_pCommandBars->GetCommandBarsOptions()->bAutoHideUnusedPopups = TRUE;
    EXPECT_TRUE(m_pCommandBars->IsControlHidden(pBranching));
}

TEST_F(PopupBarTest, ShowFullAfterDelayExpandsOnTheTimer)
{
    m_pCommandBars->GetCommandBarsOptions()->bAlwaysShowFullMenus = FALSE;
    const UINT hidden[] = { ID_SAVE_PUZZLE_AS };
    m_pCommandBars->HideCommands(hidden, 1);
    CXTPMenuBar* pMenuBar = m_pFrame->GetMenuBar();
    CXTPPopupBar* pFile = DYNAMIC_DOWNCAST(CXTPPopupBar, pMenuBar->GetControl(0)->GetCommandBar());
    ASSERT_TRUE(pMenuBar->SetPopuped(0));
    CXTPControl* pExpand = pFile->GetControls()->FindControl(XTP_ID_POPUPBAR_EXPAND);
    ASSERT_NE(nullptr, pExpand);

    m_pCommandBars->GetCommandBarsOptions()->bShowFullAfterDelay = FALSE;
    pFile->SetSelected(pExpand->GetIndex(), FALSE);
    EXPECT_EQ(0u, (UINT)pFile->m_nShowFullTimer) << "the timer runs only with the option";

    pFile->SetSelected(-1);
    m_pCommandBars->GetCommandBarsOptions()->bShowFullAfterDelay = TRUE;
    pFile->SetSelected(pExpand->GetIndex(), FALSE);
    EXPECT_NE(0u, (UINT)pFile->m_nShowFullTimer);
    pFile->SendMessage(WM_TIMER, XTP_TID_SHOWFULLMENU);
    EXPECT_TRUE(pFile->IsExpanded());
    pMenuBar->SetTrackingMode(FALSE);
}

TEST_F(PopupBarTest, TrackPopupMenuReturnsTheChosenCommand)
{
    CMenu menu;
    menu.CreatePopupMenu();
    menu.AppendMenu(MF_STRING, ID_UNDO_MOVE, _T("&Undo"));
    menu.AppendMenu(MF_STRING, ID_COPY_PUZZLE, _T("&Copy"));

    // The loop runs until a control executes; the keyboard picks Copy.
    m_pFrame->PostMessage(WM_NULL);
    struct Chooser
    {
        static void CALLBACK Choose(HWND, UINT, UINT_PTR nId, DWORD)
        {
            // Waits for the popup to be tracked, then picks once.
            const CXTPMouseManager::CTrackArray& arr = XTPMouseManager()->GetTrackArray();
            if (arr.GetSize() == 0)
                return;
            ::KillTimer(NULL, nId);
            CXTPPopupBar* pPopup = (CXTPPopupBar*)(CXTPCommandBar*)arr[arr.GetSize() - 1];
            pPopup->ProcessSpecialKey(xtpKeyEnd);
            pPopup->ProcessSpecialKey(xtpKeyReturn);
        }
    };
    ::SetTimer(NULL, 0, 10, &Chooser::Choose);
    UINT nCommand = CXTPCommandBars::TrackPopupMenu(&menu, TPM_RETURNCMD, 100, 100, m_pFrame, NULL, NULL,
                                                    m_pCommandBars);
    EXPECT_EQ((UINT)ID_COPY_PUZZLE, nCommand);
    EXPECT_TRUE(m_pFrame->m_arrCommands.empty()) << "returned, not sent";
    EXPECT_EQ(0, (int)XTPMouseManager()->GetTrackArray().GetSize());
}

TEST_F(PopupBarTest, QuitDuringThePopupLoopReachesTheMessagePump)
{
    CXTPPopupBar* pPopup = MakePopup(3);
    ::PostQuitMessage(7);
    EXPECT_TRUE(CXTPCommandBars::TrackPopupBar(pPopup, 0, 100, 100, m_pFrame));
    EXPECT_FALSE(pPopup->IsTrackingMode()) << "the loop ended and closed the popup";
    MSG msg;
    ASSERT_TRUE(::PeekMessage(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the quit was posted again";
    EXPECT_EQ(7, (int)msg.wParam);
    pPopup->InternalRelease();
}

TEST_F(PopupBarTest, ClosingSendsTheSiteMessagesAndResetsTheParent)
{
    CXTPMenuBar* pMenuBar = m_pFrame->GetMenuBar();
    m_pFrame->m_arrSite.clear();
    ASSERT_TRUE(pMenuBar->SetPopuped(1));
    CXTPControlPopup* pEdit = DYNAMIC_DOWNCAST(CXTPControlPopup, pMenuBar->GetControl(1));
    EXPECT_TRUE(pEdit->GetPopuped());
    EXPECT_EQ(1, m_pFrame->CountSite(WM_XTP_INITCOMMANDSPOPUP));
    EXPECT_EQ(2, pMenuBar->GetTrackingMode());
    pEdit->GetCommandBar()->SetTrackingMode(FALSE);
    EXPECT_EQ(1, m_pFrame->CountSite(WM_XTP_UNINITCOMMANDSPOPUP));
    EXPECT_FALSE(pEdit->GetPopuped());
    EXPECT_EQ(-1, pMenuBar->GetPopupedIndex());
    pMenuBar->SetTrackingMode(FALSE);
}

TEST_F(PopupBarTest, PopupToolbarLaysOutAsAToolbar)
{
    CXTPPopupToolBar* pPalette = CXTPPopupToolBar::CreatePopupToolBar(m_pCommandBars);
    for (int i = 0; i < 6; i++)
        pPalette->GetControls()->Add(new SizedControl(CSize(20, 20)), 4000 + i);
    pPalette->SetMRUWidth(3 * 20);
    CSize sz = pPalette->CalcDynamicLayout(0, 0);
    CRect rcBorders = pPalette->GetBorders();
    EXPECT_EQ(CRect(2, 4, 2, 4), rcBorders);
    EXPECT_EQ(3 * 20 + rcBorders.left + rcBorders.right, sz.cx);
    EXPECT_EQ(2 * 20 + rcBorders.top + rcBorders.bottom, sz.cy);
    EXPECT_TRUE(pPalette->GetControl(3)->GetWrap());
    pPalette->InternalRelease();
}

TEST_F(PopupBarTest, AnExpandingMenuGrowsTheWayItsWindowGrows)
{
    m_pCommandBars->GetCommandBarsOptions()->bAlwaysShowFullMenus = FALSE;
    m_pCommandBars->GetCommandBarsOptions()->animationType = 2;
    const UINT hidden[] = { ID_SAVE_PUZZLE_AS, ID_PRINT_PUZZLE_BOOK };
    m_pCommandBars->HideCommands(hidden, 2);
    ExpansionRecordingTheme* pTheme = new ExpansionRecordingTheme();
    m_pCommandBars->SetPaintManager(pTheme);
    CXTPMenuBar* pMenuBar = m_pFrame->GetMenuBar();
    CXTPPopupBar* pFile = DYNAMIC_DOWNCAST(CXTPPopupBar, pMenuBar->GetControl(0)->GetCommandBar());

    // Opened below the menu bar, the menu keeps its top and grows down.
    ASSERT_TRUE(pMenuBar->SetPopuped(0));
    pFile->ExpandBar();
    ASSERT_EQ(1u, pTheme->m_arrDown.size());
    EXPECT_TRUE(pTheme->m_arrDown[0]);
    pMenuBar->SetTrackingMode(FALSE);
    m_pCommandBars->HideCommands(hidden, 2);

    // With the menu bar at the foot of the screen the menu opens above it,
    // keeps its bottom and grows up.
    ASSERT_TRUE(pMenuBar->SetPosition(xtpBarBottom));
    CRect rcFrame;
    m_pFrame->GetWindowRect(&rcFrame);
    m_pFrame->SetWindowPos(NULL, rcFrame.left, m_rcWork.bottom - rcFrame.Height(), 0, 0,
                           SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    m_pFrame->RecalcLayout();
    PumpAndIdle();
    ASSERT_TRUE(pMenuBar->SetPopuped(0));
    CRect rcShort;
    pFile->GetWindowRect(&rcShort);
    pFile->ExpandBar();
    CRect rcFull;
    pFile->GetWindowRect(&rcFull);
    ASSERT_EQ(rcShort.bottom, rcFull.bottom);
    ASSERT_EQ(2u, pTheme->m_arrDown.size());
    EXPECT_FALSE(pTheme->m_arrDown[1]);
    pMenuBar->SetTrackingMode(FALSE);
}

TEST_F(PopupBarTest, AClosedPopupKeepsItsWindowHiddenForTheNextOpening)
{
    CXTPMenuBar* pMenuBar = m_pFrame->GetMenuBar();
    CXTPPopupBar* pFile = DYNAMIC_DOWNCAST(CXTPPopupBar, pMenuBar->GetControl(0)->GetCommandBar());
    ASSERT_TRUE(pMenuBar->SetPopuped(0));
    HWND hWnd = pFile->GetSafeHwnd();
    ASSERT_TRUE(hWnd != NULL);
    pMenuBar->SetTrackingMode(FALSE);
    EXPECT_FALSE(pFile->IsTrackingMode());
    EXPECT_FALSE(pFile->IsVisible());
    EXPECT_TRUE(::IsWindow(hWnd)) << "kept";
    EXPECT_FALSE(::IsWindowVisible(hWnd));

    ASSERT_TRUE(pMenuBar->SetPopuped(0));
    EXPECT_EQ(hWnd, pFile->GetSafeHwnd()) << "the same window opens again";
    EXPECT_TRUE(pFile->IsVisible());
    pMenuBar->SetTrackingMode(FALSE);

    // A popup that hosts a window is destroyed, which gives the window back.
    CXTPPopupBar* pPopup = MakePopup(2);
    CWnd hosted;
    ASSERT_TRUE(hosted.CreateEx(0, "STATIC", "", WS_CHILD, CRect(0, 0, 10, 10), m_pFrame, 0));
    ASSERT_TRUE(pPopup->Popup(NULL, FALSE));
    ::SetParent(hosted.m_hWnd, pPopup->m_hWnd);
    pPopup->SetTrackingMode(FALSE);
    EXPECT_TRUE(pPopup->GetSafeHwnd() == NULL);
    EXPECT_EQ(m_pFrame->m_hWnd, ::GetParent(hosted.m_hWnd));
    hosted.DestroyWindow();
    pPopup->InternalRelease();
}

namespace
{
// Lets real input arrive and be handled.
void SettleInput()
{
    for (int i = 0; i < 10; i++)
    {
        PumpAndIdle();
        ::Sleep(10);
    }
}

// Opens Edit > Branching with Alt+E, B; returns the open popup's selected
// control (NULL when none is selected).
CXTPControl* OpenBranchingFromTheKeyboard(CXTPPopupBar*& pPopup)
{
    testsupport::PressAltWith('E');
    SettleInput();
    testsupport::PressKey('B');
    SettleInput();
    pPopup = TopTrackedPopup();
    if (pPopup == NULL)
        return NULL;
    return pPopup->GetControl(pPopup->GetSelected());
}
} // namespace

// A popup kept from an earlier opening still holds the enabled states of
// then: a menu opened from the keyboard chooses its first item only after
// its states are updated, so Return runs what the menu shows.
TEST_F(PopupBarTest, AMenuOpenedFromTheKeyboardSelectsItsFirstItemByTheStatesOfNow)
{
    m_pFrame->SetForegroundWindow();
    m_pFrame->SetActiveWindow();
    m_pFrame->SetFocus();
    SettleInput();
    ASSERT_EQ(m_pFrame->m_hWnd, ::GetForegroundWindow());

    const UINT expected[] = { ID_BRANCH_BEGIN, ID_BRANCH_ACCEPT, ID_BRANCH_BEGIN };
    for (int nRound = 0; nRound < 3; nRound++)
    {
        SCOPED_TRACE(nRound);
        m_pFrame->m_bBranchOpen = (expected[nRound] == ID_BRANCH_ACCEPT);
        m_pFrame->m_arrCommands.clear();
        CXTPPopupBar* pPopup = NULL;
        CXTPControl* pSelected = OpenBranchingFromTheKeyboard(pPopup);
        ASSERT_NE(nullptr, pPopup);
        ASSERT_NE(nullptr, pSelected) << "an enabled item is selected";
        EXPECT_EQ((int)expected[nRound], pSelected->GetID());
        EXPECT_TRUE(pSelected->GetEnabled());
        EXPECT_EQ(!m_pFrame->m_bBranchOpen, pPopup->GetControls()->FindControl(ID_BRANCH_BEGIN)->GetEnabled());

        testsupport::PressKey(VK_RETURN);
        SettleInput();
        ASSERT_EQ(1u, m_pFrame->m_arrCommands.size());
        EXPECT_EQ(expected[nRound], m_pFrame->m_arrCommands[0]);
        EXPECT_EQ(nullptr, TopTrackedPopup());
    }
}

namespace
{
std::vector<std::string> g_sounds;
CRITICAL_SECTION* g_pSoundLock = NULL;

BOOL WINAPI RecordSound(LPCSTR pszSound, HMODULE, DWORD)
{
    ::EnterCriticalSection(g_pSoundLock);
    g_sounds.push_back(pszSound != NULL ? pszSound : "");
    ::LeaveCriticalSection(g_pSoundLock);
    return FALSE;
}

std::vector<std::string> SoundsWhenPlayed(size_t nCount)
{
    for (int i = 0; i < 400; i++)
    {
        ::EnterCriticalSection(g_pSoundLock);
        size_t nNow = g_sounds.size();
        ::LeaveCriticalSection(g_pSoundLock);
        if (nNow >= nCount)
            break;
        ::Sleep(5);
    }
    ::EnterCriticalSection(g_pSoundLock);
    std::vector<std::string> copy = g_sounds;
    ::LeaveCriticalSection(g_pSoundLock);
    return copy;
}
} // namespace

// Opening a menu asks for the "MenuPopup" sound, running a command for
// "MenuCommand"; the bars stop the player when they go.
TEST_F(PopupBarTest, MenusAskForTheirSoundsAndTheBarsStopThePlayerWhenTheyGo)
{
    CRITICAL_SECTION cs;
    ::InitializeCriticalSection(&cs);
    g_pSoundLock = &cs;
    g_sounds.clear();
    XTPSoundManager()->StopThread();
    XTPSoundManager()->SetPlayFunction(RecordSound);
    XTPSoundManager()->EnableSystemSounds(TRUE);

    CXTPMenuBar* pMenuBar = m_pFrame->GetMenuBar();
    ASSERT_TRUE(pMenuBar->SetPopuped(0));
    EXPECT_EQ(std::vector<std::string>{"MenuPopup"}, SoundsWhenPlayed(1));
    CXTPPopupBar* pFile = DYNAMIC_DOWNCAST(CXTPPopupBar, pMenuBar->GetControl(0)->GetCommandBar());
    ASSERT_NE(nullptr, pFile);
    CXTPControl* pCommand = NULL;
    for (int i = 0; i < pFile->GetControlCount() && pCommand == NULL; i++)
    {
        if (pFile->GetControl(i)->GetType() == xtpControlButton && pFile->GetControl(i)->GetEnabled())
            pCommand = pFile->GetControl(i);
    }
    ASSERT_NE(nullptr, pCommand);
    pCommand->OnExecute();
    EXPECT_EQ((std::vector<std::string>{"MenuPopup", "MenuCommand"}), SoundsWhenPlayed(2));
    EXPECT_TRUE(XTPSoundManager()->IsThreadRunning());
    m_pCommandBars->ClosePopups();

    m_pFrame->DestroyTestFrame();
    m_pFrame = NULL;
    EXPECT_FALSE(XTPSoundManager()->IsThreadRunning());
    XTPSoundManager()->SetPlayFunction(NULL);
    g_pSoundLock = NULL;
    ::DeleteCriticalSection(&cs);
    m_pFrame = new CTestFrame();
    ASSERT_TRUE(m_pFrame->CreateTestFrame());
}
