// The game's main frame: creation, timers, layout and the command map.
#include "MainFrame.h"

#include "AboutDlg.h"
#include "ApplicationInfo.h"
#include "BrindlemarkDoc.h"
#include "BrindlemarkView.h"
#include "GameServices.h"
#include "HTSquarePainter.h"
#include "PictureExport.h"
#include "PrintPuzzleBookDlg.h"
#include "ProfileChoosers.h"
#include "RookMessageDlgs.h"
#include "SplashWnd.h"
#include "TimerToolBar.h"
#include "TutorialDlg.h"
#include "XTPCommandBarsOptions.h"
#include "XTPCustomizeSheet.h"
#include "XTPCustomizeCommandsPage.h"
#include "XTPCustomizeOptionsPage.h"
#include "XTPCustomizeKeyboardPage.h"
#include "XTPControlCustom.h"
#include "XTPDockingPane.h"
#include "XTPHookManager.h"
#include "FennDialog.h"
#include "FloatingOrder.h"
#include "XTPPropertyGridDefines.h"
#include "XTPPropertyGridItem.h"
#include "XTPPaintManager.h"
#include "XTPShortcutManager.h"
#include "XTThemeManager.h"
#include "resource.h"

#include <shellapi.h>

namespace
{
// The web pages behind the Help menu's links, and the maker's update
// manager in the Windows folder.
struct WebLink
{
    UINT nID;
    const char* pszAddress;
};
const WebLink kWebLinks[] = {
    {ID_WEB_GAME, "http://www.orrisfield.example/brindlemark/"},
    {ID_WEB_GAME2, "http://www.orrisfield.example/kallow/"},
    {ID_WEB_GAME3, "http://www.orrisfield.example/tessary/"},
    {ID_WEB_GAME4, "http://www.orrisfield.example/quenby/"},
    {ID_WEB_MAKER, "http://www.orrisfield.example/"},
    {ID_WEB_FORUM, "http://forum.orrisfield.example/"},
};
const char kUpdateManager[] = "VantUpdateManager.exe";

const UINT kIndicators[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};

// Commands kept out of the menus by the command-bar options.
const UINT kHiddenCommands[] = {ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW};

// The themes of the Office 2003 look: the controls', the bars' and the panes'.
const int kControlTheme = 2;
const int kCommandBarTheme = 2;
const int kDockingTheme = 2;

void AFXAPI OpenWithShell(LPCTSTR lpszTarget, int nShowCmd)
{
    ::ShellExecuteA(NULL, "open", lpszTarget, NULL, NULL, nShowCmd);
}

PFN_SHELLOPEN s_pfnShellOpen = &OpenWithShell;

// Answers of the message dialogs.
const INT_PTR kYesNoYes = 1;
} // namespace

PFN_SHELLOPEN AFXAPI SetShellOpenHandler(PFN_SHELLOPEN pfnOpen)
{
    PFN_SHELLOPEN pfnPrevious = s_pfnShellOpen;
    s_pfnShellOpen = pfnOpen != NULL ? pfnOpen : &OpenWithShell;
    return pfnPrevious;
}

CMainFrame* AFXAPI GetMainFrame()
{
    return DYNAMIC_DOWNCAST(CMainFrame, AfxGetMainWnd());
}

void AFXAPI ApplyClockColours(const CAppearanceInfo& appearance)
{
    CMainFrame* pFrame = GetMainFrame();
    if (pFrame != NULL)
        pFrame->SetClockColours(appearance);
}

// ---------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CMainFrame, CXTPFrameWnd)

BEGIN_MESSAGE_MAP(CMainFrame, CXTPFrameWnd)
    ON_WM_CREATE()
    ON_MESSAGE(WM_XTP_BEFORECREATECONTROL, OnCreateControl)
    ON_MESSAGE(WM_XTP_TOOLBARVISIBLECHANGED, OnToolBarVisibleChanged)
    ON_MESSAGE(XTPWM_DOCKINGPANE_NOTIFY, OnDockingPaneNotify)
    ON_MESSAGE(XTPWM_PROPERTYGRID_NOTIFY, OnGridNotify)
    ON_COMMAND(ID_VIEW_CUSTOMIZE, OnCustomize)
    ON_COMMAND(ID_TEXT_BELOW_ICONS, OnTextBelowIcons)
    ON_UPDATE_COMMAND_UI(ID_TEXT_BELOW_ICONS, OnUpdateTextBelowIcons)
    ON_WM_CLOSE()
    ON_WM_TIMER()
    ON_MESSAGE(WM_ENTERSIZEMOVE, OnEnterSizeMove)
    ON_MESSAGE(WM_EXITSIZEMOVE, OnExitSizeMove)
    ON_WM_SYSCOMMAND()

    ON_COMMAND(ID_NEW_PUZZLE, OnNewPuzzle)
    // The standard keys of the accelerator table: Ctrl+N makes a new puzzle
    // (never the class library's empty document, which would keep the old
    // puzzle's file name), the edit keys act on a focused edit box or on the
    // board, F6 moves between the board and the panes.
    ON_COMMAND(ID_FILE_NEW, OnNewPuzzle)
    ON_COMMAND(ID_EDIT_UNDO, OnEditUndo)
    ON_UPDATE_COMMAND_UI(ID_EDIT_UNDO, OnUpdateEditUndo)
    ON_COMMAND(ID_EDIT_COPY, OnEditCopy)
    ON_COMMAND(ID_EDIT_CUT, OnEditCut)
    ON_UPDATE_COMMAND_UI(ID_EDIT_CUT, OnUpdateEditInBox)
    ON_COMMAND(ID_EDIT_PASTE, OnEditPaste)
    ON_UPDATE_COMMAND_UI(ID_EDIT_PASTE, OnUpdateEditInBox)
    ON_COMMAND_RANGE(ID_NEXT_PANE, ID_PREV_PANE, OnNextPane)
    ON_COMMAND(ID_FILE_OPEN, OnLoadPuzzle)
    ON_COMMAND(ID_SAVE_PUZZLE, OnSavePuzzle)
    ON_COMMAND(ID_SAVE_PUZZLE_AS, OnSavePuzzleAs)
    ON_COMMAND(ID_SAVE_IMAGE_BITMAP, OnSaveBitmap)
    ON_COMMAND(ID_SAVE_IMAGE_JPEG, OnSaveJpeg)
    ON_COMMAND(ID_PRINT_PUZZLE_BOOK, OnPrintPuzzleBook)
    ON_COMMAND(ID_EXIT_GAME, OnExit)
    ON_COMMAND(ID_UNDO_MOVE, OnUndo)
    ON_UPDATE_COMMAND_UI(ID_UNDO_MOVE, OnUpdateUndo)
    ON_COMMAND(ID_COPY_PUZZLE, OnCopyPicture)
    ON_COMMAND(ID_BRANCH_BEGIN, OnBranch)
    ON_UPDATE_COMMAND_UI(ID_BRANCH_BEGIN, OnUpdateBranch)
    ON_COMMAND(ID_BRANCH_ACCEPT, OnAccept)
    ON_UPDATE_COMMAND_UI(ID_BRANCH_ACCEPT, OnUpdateBranchOpen)
    ON_COMMAND(ID_BRANCH_REVERT, OnRevert)
    ON_UPDATE_COMMAND_UI(ID_BRANCH_REVERT, OnUpdateBranchOpen)
    ON_COMMAND(ID_UPDATE_UNSHADED, OnUpdateUnshaded)
    ON_UPDATE_COMMAND_UI(ID_UPDATE_UNSHADED, OnUpdatePlaying)
    ON_COMMAND(ID_AUTOMARK_UNSHADED, OnAutoMark)
    ON_UPDATE_COMMAND_UI(ID_AUTOMARK_UNSHADED, OnUpdateAutoMark)
    ON_COMMAND(ID_REVERT_TO_START, OnRevertToStart)
    ON_UPDATE_COMMAND_UI(ID_REVERT_TO_START, OnUpdateUndo)
    ON_COMMAND(ID_SHOW_SOLUTION, OnShowSolution)
    ON_UPDATE_COMMAND_UI(ID_SHOW_SOLUTION, OnUpdatePlaying)
    ON_COMMAND(ID_APPEARANCE_PANE, OnAppearancePane)
    ON_UPDATE_COMMAND_UI(ID_APPEARANCE_PANE, OnUpdateAppearancePane)
    ON_COMMAND(ID_DIFFICULTY_PANE, OnDifficultyPane)
    ON_UPDATE_COMMAND_UI(ID_DIFFICULTY_PANE, OnUpdateDifficultyPane)
    ON_COMMAND(ID_APPEARANCE_LIST, OnAppearanceList)
    ON_COMMAND(ID_DIFFICULTY_LIST, OnDifficultyList)
    ON_COMMAND(ID_SHOW_TUTORIAL, OnShowTutorial)
    ON_COMMAND(ID_LAUNCH_UPDATER, OnUpdateManager)
    ON_COMMAND_RANGE(ID_WEB_GAME, ID_WEB_FORUM, OnWebLink)
    ON_COMMAND_RANGE(ID_WEB_GAME2, ID_WEB_GAME3, OnWebLink)
    ON_COMMAND_RANGE(ID_WEB_GAME4, ID_WEB_GAME4, OnWebLink)
    ON_COMMAND(ID_ABOUT_GAME, OnAbout)
    ON_COMMAND(ID_TIMER_PAUSE, OnPause)
    ON_UPDATE_COMMAND_UI(ID_TIMER_PAUSE, OnUpdatePause)
    ON_COMMAND(ID_TIMER_PLAY, OnPlay)
    ON_UPDATE_COMMAND_UI(ID_TIMER_PLAY, OnUpdatePlay)
    ON_COMMAND_RANGE(ID_TIMER_ELAPSED, ID_TIMER_TARGET, OnClockMode)
    ON_UPDATE_COMMAND_UI_RANGE(ID_TIMER_ELAPSED, ID_TIMER_TARGET, OnUpdateClockMode)
    ON_COMMAND(ID_PUZZLE_ENTER_OWN, OnEnterOwnPuzzle)
    ON_COMMAND(ID_PUZZLE_FINALIZE, OnFinalizeGrid)
    ON_UPDATE_COMMAND_UI(ID_PUZZLE_FINALIZE, OnUpdateFinalizeGrid)
END_MESSAGE_MAP()

CMainFrame::CMainFrame() : m_pTimerToolBar(NULL), m_bInSizeMove(false)
{
    m_wndClock.m_crOn = RGB(0, 255, 0);
    m_wndClock.m_crOff = RGB(0, 100, 0);   // the display's own default until its window is made
    m_wndClock.m_crBackground = RGB(0, 0, 0);
}

CMainFrame::~CMainFrame()
{
}

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CXTPFrameWnd::PreCreateWindow(cs))
        return FALSE;
    cs.style |= WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    return TRUE;
}

int CMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CXTPFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    g_ApplicationInfo.LoadFromRegistry();
    XTThemeManager()->SetTheme(kControlTheme);

    if (!m_wndStatusBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR) ||
        !m_wndStatusBar.SetIndicators(kIndicators, (int)(sizeof(kIndicators) / sizeof(kIndicators[0]))))
        return -1;

    // The command bars: the menu bar, the Standard toolbar and the Timer
    // toolbar docked right of it.
    if (!InitCommandBars())
        return -1;
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars->CreateMenuBar("Menu Bar", IDR_MAINFRAME) == NULL)
        return -1;
    CXTPToolBar* pStandard = pCommandBars->Add("Standard", xtpBarTop);
    if (pStandard == NULL || !pStandard->LoadToolBar(IDR_MAINFRAME))
        return -1;
    m_pTimerToolBar = (CTimerToolBar*)pCommandBars->Add("Timer", xtpBarTop, RUNTIME_CLASS(CTimerToolBar));
    if (m_pTimerToolBar == NULL || !m_pTimerToolBar->LoadToolBar(IDR_TIMER_TOOLBAR))
        return -1;
    m_pTimerToolBar->SetCustomizable(FALSE);
    DockRightOf(m_pTimerToolBar, pStandard);

    CXTPPaintManager::SetTheme(kCommandBarTheme);
    pCommandBars->HideCommands(kHiddenCommands, (int)(sizeof(kHiddenCommands) / sizeof(kHiddenCommands[0])));
    pCommandBars->GetCommandBarsOptions()->bAlwaysShowFullMenus = FALSE;
    pCommandBars->GetShortcutManager()->LoadAccelerators(IDR_MAINFRAME);
    CXTPPaintManager::GetGlobalPaintManager()->RefreshMetrics();

    // The bars as the player left them.
    pCommandBars->LoadOptions(GAME_COMMANDBARS_PROFILE);
    pCommandBars->LoadBarState(GAME_COMMANDBARS_PROFILE, FALSE);
    pCommandBars->GetShortcutManager()->LoadShortcuts(GAME_COMMANDBARS_PROFILE);

    m_paneManager.AttachToSite(this, TRUE);
    m_paneManager.SetTheme(kDockingTheme);
    // The game's setting wins over the saved option.
    pCommandBars->GetCommandBarsOptions()->bShowTextBelowIcons = g_ApplicationInfo.m_bTextBelowIcons;

    // The panes as the player left them, except on the first run of this
    // version.
    if (!g_ApplicationInfo.m_bFirstRunOfVersion)
    {
        CXTPDockingPaneLayout layout(&m_paneManager);
        if (layout.LoadFromProfile(GAME_DOCKING_LAYOUT))
        {
            DropStrayPanes(layout);
            m_paneManager.ApplyLayout(&layout);
        }
    }

    CSplashWnd::EnableSplashScreen(TRUE);
    CSplashWnd::ShowSplashScreen(this);

    SetTimer(IDT_FIRST_LAYOUT, 100, NULL);
    SetTimer(IDT_GAME_CLOCK, 1000, NULL);
    m_pTimerToolBar->SetTimer(IDT_CLOCK_DISPLAY, 1000, NULL);
    return 0;
}

void CMainFrame::DropStrayPanes(CXTPDockingPaneLayout& layout)
{
    // The game makes one pane of each profile and no other. A stored pane
    // of another id (left by an older or newer build) would come back empty
    // at every start, and earlier versions could store a profile pane twice
    // (the View command made a second one beside an auto-hidden pane): the
    // first pane of each profile is kept, every other pane goes, and the
    // rest of the layout stays as stored.
    bool bAppearanceSeen = false, bDifficultySeen = false;
    CArray<CXTPDockingPane*, CXTPDockingPane*> arrStray;
    POSITION pos = layout.GetPaneList().GetHeadPosition();
    while (pos != NULL)
    {
        CXTPDockingPane* pPane = layout.GetPaneList().GetNext(pos).pPane;
        if (pPane == NULL)
            continue;
        bool* pSeen = pPane->GetID() == GAME_PANE_APPEARANCE   ? &bAppearanceSeen
                      : pPane->GetID() == GAME_PANE_DIFFICULTY ? &bDifficultySeen
                                                               : NULL;
        if (pSeen != NULL && !*pSeen)
        {
            *pSeen = true;
            continue;
        }
        arrStray.Add(pPane);
    }
    for (INT_PTR i = 0; i < arrStray.GetSize(); i++)
    {
        TRACE("main frame: stored pane %d is not one the game makes, or repeats one; it is dropped\n",
              arrStray[i]->GetID());
        layout.DestroyPane(arrStray[i]);
    }
}

void CMainFrame::DockRightOf(CXTPToolBar* pBar, CXTPToolBar* pLeftOf)
{
    RepositionBars(AFX_IDW_CONTROLBAR_FIRST, AFX_IDW_CONTROLBAR_LAST, AFX_IDW_PANE_FIRST, reposDefault, NULL, NULL,
                   TRUE);
    CRect rect;
    pLeftOf->GetWindowRect(&rect);
    const XTPBarPosition position = pLeftOf->GetPosition();
    if (position == xtpBarLeft || position == xtpBarRight || position == xtpBarPopup)
        rect.OffsetRect(0, rect.Height());
    else
        rect.OffsetRect(rect.Width(), 0);
    GetCommandBars()->DockCommandBar(pBar, &rect, pLeftOf->GetDockBar());
}

LRESULT CMainFrame::OnCreateControl(WPARAM, LPARAM lParam)
{
    XTP_COMMANDBARS_CREATECONTROL* pCreate = (XTP_COMMANDBARS_CREATECONTROL*)lParam;
    if (pCreate == NULL || pCreate->nID != ID_TIMER_CLOCK || m_pTimerToolBar == NULL)
        return FALSE;
    if (!m_wndClock.CreateEx(WS_EX_CLIENTEDGE, "STATIC", "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 175, 40),
                             m_pTimerToolBar, ID_TIMER_CLOCK))
    {
        TRACE("main frame: the clock display could not be created");
        return FALSE;
    }
    m_wndClock.LoadDigitBitmap();
    m_wndClock.SetTime(0, 0, 0);
    m_wndClock.m_crOn = RGB(0, 255, 0);
    m_wndClock.m_crOff = RGB(0, 64, 0);
    m_wndClock.m_crBackground = RGB(0, 0, 0);
    m_wndClock.RecolourDigits();

    CXTPControlCustom* pControl = CXTPControlCustom::CreateControlCustom(&m_wndClock);
    if (pControl == NULL)
        return FALSE;
    pControl->SetBorders(3, 3, 3, 3);
    pControl->SetVerticalPositionOption(2);
    pCreate->pControl = pControl;
    return TRUE;
}

LRESULT CMainFrame::OnToolBarVisibleChanged(WPARAM, LPARAM)
{
    return 0;
}

void CMainFrame::OnCustomize()
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars == NULL)
        return;
    CXTPCustomizeSheet sheet(pCommandBars);
    CXTPCustomizeKeyboardPage pageKeyboard(&sheet);
    sheet.AddPage(&pageKeyboard);
    pageKeyboard.AddCategories(IDR_MAINFRAME, FALSE);
    CXTPCustomizeOptionsPage pageOptions(&sheet);
    sheet.AddPage(&pageOptions);

    CXTPCustomizeCommandsPage* pCommands = sheet.GetCommandsPage();
    pCommands->AddCategories(IDR_MAINFRAME, FALSE);
    pCommands->InsertAllCommandsCategory(XTP_IDS_ALL_COMMANDS, -1);
    pCommands->InsertBuiltInMenus(IDR_MAINFRAME, XTP_IDS_BUILTINMENUS, -1);
    pCommands->InsertNewMenuCategory(XTP_IDS_NEWMENU, -1);
    sheet.DoModal();
}

void CMainFrame::OnTextBelowIcons()
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars == NULL)
        return;
    CXTPCommandBarsOptions* pOptions = pCommandBars->GetCommandBarsOptions();
    pOptions->bShowTextBelowIcons = !pOptions->bShowTextBelowIcons;
    g_ApplicationInfo.m_bTextBelowIcons = pOptions->bShowTextBelowIcons ? TRUE : FALSE;
    pCommandBars->RedrawCommandBars();
}

void CMainFrame::OnUpdateTextBelowIcons(CCmdUI* pCmdUI)
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    pCmdUI->SetCheck(pCommandBars != NULL && pCommandBars->GetCommandBarsOptions()->bShowTextBelowIcons ? 1 : 0);
}

BOOL CMainFrame::DestroyWindow()
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars != NULL)
    {
        pCommandBars->SaveOptions(GAME_COMMANDBARS_PROFILE);
        if (!pCommandBars->SaveBarState(GAME_COMMANDBARS_PROFILE, TRUE))
            TRACE("main frame: the bars' state could not all be saved; what was not written keeps its earlier value\n");
        pCommandBars->GetShortcutManager()->SaveShortcuts(GAME_COMMANDBARS_PROFILE);
    }
    if (m_paneManager.GetSafeHwnd() != NULL)
    {
        CXTPDockingPaneLayout layout(&m_paneManager);
        m_paneManager.SaveCurrentLayout(&layout);
        layout.SaveToProfile(GAME_DOCKING_LAYOUT);
    }
    const CString strFloatingOrder =
        m_strClosingFloatingOrder.IsEmpty() ? GetFloatingOrder(this) : m_strClosingFloatingOrder;
    if (GetSafeHwnd() != NULL &&
        !AfxGetApp()->WriteProfileString(GAME_FLOATING_SECTION, GAME_FLOATING_ORDER, strFloatingOrder))
        TRACE("main frame: the floating windows' order could not be saved\n");
    return CXTPFrameWnd::DestroyWindow();
}

void CMainFrame::OnClose()
{
    // A print preview closes first; the game stays.
    if (m_lpfnCloseProc != NULL)
    {
        CXTPFrameWnd::OnClose();
        return;
    }
    // A request to close (from the task bar, or the system) while a dialog
    // or question of the game holds the window disabled waits for it: the
    // game would otherwise be destroyed under that dialog, which still runs
    // inside one of its commands. The dialog comes to the front instead.
    if (!IsWindowEnabled())
    {
        CWnd* pPopup = GetLastActivePopup();
        if (pPopup != NULL && pPopup != this)
            pPopup->SetForegroundWindow();
        return;
    }
    CBrindlemarkDoc* pDoc = GetGameDoc();
    if (pDoc != NULL && !pDoc->QuerySaveModified(pDoc->GetCurrent()))
        return;
    // The floating windows' order as the player leaves them: the frame hides
    // on closing, upon which the system activates another window (a floating
    // one, moved to the top of the order, or another program's, upon which
    // the floating toolbars hide themselves).
    m_strClosingFloatingOrder = GetFloatingOrder(this);
    const HWND hWnd = m_hWnd;
    CXTPFrameWnd::OnClose();
    // Not closed after all: the order is read again when it is.
    if (::IsWindow(hWnd) && CWnd::FromHandlePermanent(hWnd) == this)
        m_strClosingFloatingOrder.Empty();
}

void CMainFrame::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == IDT_FIRST_LAYOUT)
    {
        KillTimer(IDT_FIRST_LAYOUT);
        // The floating windows stacked as the player left them.
        ApplyFloatingOrder(this, AfxGetApp()->GetProfileString(GAME_FLOATING_SECTION, GAME_FLOATING_ORDER));
        CBrindlemarkView* pView = DYNAMIC_DOWNCAST(CBrindlemarkView, GetActiveView());
        if (pView != NULL)
        {
            pView->RelayoutBoard();
            pView->Invalidate(TRUE);
        }
    }
    else if (nIDEvent == IDT_GAME_CLOCK)
    {
        CBrindlemarkDoc* pDoc = GetGameDoc();
        if (pDoc != NULL && !pDoc->m_bPaused && pDoc->GetCurrent().m_nGameState == htgsPlaying && !pDoc->IsSolved())
        {
            pDoc->m_nClockSeconds++;
            pDoc->GetCurrent().m_bModified = TRUE;
        }
    }
    CXTPFrameWnd::OnTimer(nIDEvent);
}

BOOL CMainFrame::IsPlayerAtBoard() const
{
    if (m_hWnd == NULL || !::IsWindowEnabled(m_hWnd))
        return FALSE;
    if (CGameDialogScope::GetOpenCount() > 0)
        return FALSE;
    // An open menu (the menu bar tracking, a popup or context menu) is a
    // tracked bar of the mouse manager.
    CXTPMouseManager* pMouseManager = XTPMouseManager();
    if (pMouseManager != NULL && pMouseManager->GetTrackArray().GetSize() > 0)
        return FALSE;
    // The system's own menus (the window menu) and moving or sizing the
    // window run loops of their own too.
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    if (::GetGUIThreadInfo(::GetCurrentThreadId(), &info) &&
        (info.flags & (GUI_INMENUMODE | GUI_POPUPMENUMODE | GUI_SYSTEMMENUMODE | GUI_INMOVESIZE)) != 0)
    {
        return FALSE;
    }
    return TRUE;
}

BOOL CMainFrame::FitNumberFont()
{
    CBrindlemarkDoc* pDoc = GetGameDoc();
    CBrindlemarkView* pView = DYNAMIC_DOWNCAST(CBrindlemarkView, GetActiveView());
    if (pDoc == NULL || pView == NULL)
        return TRUE;
    CAppearanceInfo appearance = pDoc->GetCurrent().GetAppearanceInfo();
    CClientDC dc(this);
    int nTenths = ::FitPointFont(&dc, "Tahoma", pView->m_nSquareSize, 100, 250);
    appearance.m_nMainFontSize = nTenths / 10;
    pDoc->GetCurrent().m_AppearanceInfo.CopyFrom(appearance);
    pView->Invalidate(TRUE);
    return TRUE;
}

LRESULT CMainFrame::OnEnterSizeMove(WPARAM, LPARAM)
{
    m_bInSizeMove = true;
    return 0;
}

LRESULT CMainFrame::OnExitSizeMove(WPARAM, LPARAM)
{
    FitNumberFont();
    m_bInSizeMove = false;
    return 0;
}

void CMainFrame::OnSysCommand(UINT nID, LPARAM lParam)
{
    CXTPFrameWnd::OnSysCommand(nID, lParam);
    if (nID == SC_MAXIMIZE || nID == SC_RESTORE)
        FitNumberFont();
}

void CMainFrame::ShowProfilesOf(const CHTDataContainer& position)
{
    const CAppearanceInfo appearance = position.GetAppearanceInfo();
    if (m_paneAppearance.GetSafeHwnd() != NULL)
    {
        m_paneAppearance.SetAppearanceInfo(appearance);
        m_paneAppearance.Refresh();
    }
    if (m_paneGradeInfo.GetSafeHwnd() != NULL)
    {
        m_paneGradeInfo.SetGradeInfo(position.GetGradeInfo());
        m_paneGradeInfo.Refresh();
    }
    if (m_pTimerToolBar != NULL)
        SetClockColours(appearance);
}

void CMainFrame::SetClockColours(const CAppearanceInfo& appearance)
{
    m_wndClock.m_crOn = appearance.m_crMCOn;
    m_wndClock.m_crOff = appearance.m_crMCOff;
    m_wndClock.m_crBackground = appearance.m_crMCBack;
    m_wndClock.RecolourDigits();
}

// ---------------------------------------------------------------------------
// Notifications of the docking panes and the profile grids

LRESULT CMainFrame::OnDockingPaneNotify(WPARAM wParam, LPARAM lParam)
{
    if (wParam != XTP_DPN_SHOWWINDOW)
        return FALSE;
    CXTPDockingPane* pPane = (CXTPDockingPane*)lParam;
    if (pPane == NULL || pPane->HasAttachedWindow())
        return TRUE;
    CBrindlemarkDoc* pDoc = GetGameDoc();
    CPropGridPane_Base* pWindow = NULL;
    if (pPane->GetID() == GAME_PANE_APPEARANCE)
        pWindow = &m_paneAppearance;
    else if (pPane->GetID() == GAME_PANE_DIFFICULTY)
        pWindow = &m_paneGradeInfo;
    else
        return TRUE;

    // The window is made once and shows the profile the puzzle has now; a
    // pane shown again gets the same window back.
    if (pWindow->GetSafeHwnd() == NULL)
    {
        if (!pWindow->CreateEx(0, "STATIC", "", WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, CRect(0, 0, 0, 0), this,
                               0))
        {
            TRACE("main frame: the window of pane %d could not be created\n", pPane->GetID());
            return TRUE;
        }
        if (pWindow == &m_paneAppearance)
        {
            if (pDoc != NULL)
                m_paneAppearance.SetAppearanceInfo(pDoc->GetCurrent().GetAppearanceInfo());
            m_paneAppearance.Refresh();
        }
        else
        {
            if (pDoc != NULL)
                m_paneGradeInfo.SetGradeInfo(pDoc->GetCurrent().GetGradeInfo());
            m_paneGradeInfo.Refresh();
        }
    }
    pPane->AttachWindow(pWindow);
    return TRUE;
}

LRESULT CMainFrame::OnGridNotify(WPARAM wParam, LPARAM lParam)
{
    CBrindlemarkDoc* pDoc = GetGameDoc();
    CXTPPropertyGridItem* pItem = (CXTPPropertyGridItem*)lParam;
    if (pDoc == NULL || wParam != XTP_PGN_ITEMVALUE_CHANGED || pItem == NULL)
        return 0;
    CHTDataContainer& current = pDoc->GetCurrent();
    if (pItem->GetID() >= htgiProfileName)
    {
        // The difficulty pane: the three aids the board draws repaint it.
        CGradeInfo grade = current.GetGradeInfo();
        ApplyGradeInfoEdit(grade, pItem);
        current.SetGradeInfo(grade);
        current.m_bModified = TRUE;
        const UINT nID = pItem->GetID();
        if (nID == htgiShowIslandSquares || nID == htgiShowUnshadedDups || nID == htgiShowAdjacentShaded)
            pDoc->InvalidateBoard(TRUE);
    }
    else
    {
        // The appearance pane: the squares and the clock take the colours.
        CAppearanceInfo appearance = current.GetAppearanceInfo();
        ApplyAppearanceEdit(appearance, pItem);
        current.ApplySquareColours(appearance);
        current.m_AppearanceInfo.CopyFrom(appearance);
        current.m_bModified = TRUE;
        pDoc->InvalidateBoard(TRUE);
        if (m_pTimerToolBar != NULL)
            ApplyClockColours(appearance);
    }
    return 0;
}

void CMainFrame::TrackBoardMenu(CMenu* pMenu, CPoint pointScreen)
{
    CXTPCommandBars::TrackPopupMenu(pMenu, 0, pointScreen.x, pointScreen.y, this);
}

// ---------------------------------------------------------------------------
// Commands

void CMainFrame::OnNewPuzzle()
{
    CBrindlemarkDoc* pDoc = GetGameDoc();
    if (pDoc != NULL)
        pDoc->NewPuzzle();
    FitNumberFont();
}

void CMainFrame::OnLoadPuzzle()
{
    CBrindlemarkDoc* pDoc = GetGameDoc();
    BYTE bQuiet = FALSE;
    if (pDoc != NULL)
        pDoc->LoadPuzzle(bQuiet);
}

void CMainFrame::OnSavePuzzle()
{
    CBrindlemarkDoc* pDoc = GetGameDoc();
    if (pDoc != NULL)
        pDoc->SavePuzzle();
}

void CMainFrame::OnSavePuzzleAs()
{
    CBrindlemarkDoc* pDoc = GetGameDoc();
    if (pDoc != NULL)
        pDoc->SavePuzzleAs();
}

void CMainFrame::OnSaveBitmap()
{
    CBrindlemarkView* pView = DYNAMIC_DOWNCAST(CBrindlemarkView, GetActiveView());
    BYTE bKind = gpkBitmap;
    if (pView != NULL)
        pView->SavePictureAs(&bKind);
}

void CMainFrame::OnSaveJpeg()
{
    CBrindlemarkView* pView = DYNAMIC_DOWNCAST(CBrindlemarkView, GetActiveView());
    BYTE bKind = gpkJpeg;
    if (pView != NULL)
        pView->SavePictureAs(&bKind);
}

void CMainFrame::OnCopyPicture()
{
    CBrindlemarkView* pView = DYNAMIC_DOWNCAST(CBrindlemarkView, GetActiveView());
    if (pView != NULL)
        pView->CopyPictureToClipboard();
}

void CMainFrame::OnPrintPuzzleBook()
{
    CPrintPuzzleBookDlg dlg(this);
    dlg.DoModal();
}

void CMainFrame::OnExit()
{
    CBrindlemarkDoc* pDoc = GetGameDoc();
    if (pDoc == NULL || pDoc->QuerySaveModified(pDoc->GetCurrent()))
        DestroyWindow();
}

void CMainFrame::OnUndo()
{
    CBrindlemarkDoc* pDoc = GetGameDoc();
    if (pDoc != NULL && pDoc->m_Controller.m_listSavedStates.GetCount() >= 1)
    {
        pDoc->UndoMove();
        pDoc->InvalidateBoard(TRUE);
    }
    FitNumberFont();
}

void CMainFrame::OnUpdateUndo(CCmdUI* pCmdUI)
{
    CBrindlemarkDoc* pDoc = GetGameDoc();
    pCmdUI->Enable(pDoc != NULL && pDoc->m_Controller.m_listSavedStates.GetCount() >= 1);
}

namespace
{
// The edit box that has the keyboard focus (a profile pane's value, a
// combo box's text); NULL when the focus is elsewhere.
HWND FocusedEditBox()
{
    HWND hWndFocus = ::GetFocus();
    char szClass[16] = "";
    if (hWndFocus == NULL || ::GetClassNameA(hWndFocus, szClass, sizeof(szClass)) == 0)
        return NULL;
    return lstrcmpiA(szClass, "Edit") == 0 ? hWndFocus : NULL;
}
} // namespace

void CMainFrame::OnEditUndo()
{
    if (HWND hWndEdit = FocusedEditBox())
        ::SendMessage(hWndEdit, WM_UNDO, 0, 0);
    else
        OnUndo();
}

void CMainFrame::OnUpdateEditUndo(CCmdUI* pCmdUI)
{
    if (HWND hWndEdit = FocusedEditBox())
        pCmdUI->Enable(::SendMessage(hWndEdit, EM_CANUNDO, 0, 0) != 0);
    else
        OnUpdateUndo(pCmdUI);
}

void CMainFrame::OnEditCopy()
{
    if (HWND hWndEdit = FocusedEditBox())
        ::SendMessage(hWndEdit, WM_COPY, 0, 0);
    else
        OnCopyPicture();
}

void CMainFrame::OnEditCut()
{
    if (HWND hWndEdit = FocusedEditBox())
        ::SendMessage(hWndEdit, WM_CUT, 0, 0);
}

void CMainFrame::OnEditPaste()
{
    if (HWND hWndEdit = FocusedEditBox())
        ::SendMessage(hWndEdit, WM_PASTE, 0, 0);
}

void CMainFrame::OnUpdateEditInBox(CCmdUI* pCmdUI)
{
    // The board has nothing to cut and takes nothing pasted.
    pCmdUI->Enable(FocusedEditBox() != NULL);
}

void CMainFrame::OnNextPane(UINT nID)
{
    // The board and the profile panes that show, in turn.
    HWND hWnds[3];
    int nCount = 0;
    for (CWnd* pWnd : {(CWnd*)GetActiveView(), (CWnd*)&m_paneAppearance, (CWnd*)&m_paneGradeInfo})
    {
        if (pWnd != NULL && pWnd->GetSafeHwnd() != NULL && pWnd->IsWindowVisible())
            hWnds[nCount++] = pWnd->GetSafeHwnd();
    }
    if (nCount == 0)
        return;
    HWND hWndFocus = ::GetFocus();
    int nCurrent = -1;
    for (int i = 0; i < nCount && nCurrent == -1; i++)
    {
        if (hWndFocus == hWnds[i] || ::IsChild(hWnds[i], hWndFocus))
            nCurrent = i;
    }
    int nNext = 0;
    if (nCurrent != -1)
        nNext = (nCurrent + (nID == ID_PREV_PANE ? nCount - 1 : 1)) % nCount;
    CWnd* pNext = CWnd::FromHandle(hWnds[nNext]);
    // A pane gives the focus to its grid.
    CWnd* pChild = pNext->GetWindow(GW_CHILD);
    (pChild != NULL && pNext != GetActiveView() ? pChild : pNext)->SetFocus();
}

void CMainFrame::OnBranch()
{
    CBrindlemarkDoc* pDoc = GetGameDoc();
    if (pDoc != NULL)
        pDoc->BeginBranch();
}

void CMainFrame::OnUpdateBranch(CCmdUI* pCmdUI)
{
    CBrindlemarkDoc* pDoc = GetGameDoc();
    pCmdUI->Enable(pDoc != NULL && !pDoc->m_Controller.IsBranchOpen());
}

void CMainFrame::OnUpdateBranchOpen(CCmdUI* pCmdUI)
{
    CBrindlemarkDoc* pDoc = GetGameDoc();
    pCmdUI->Enable(pDoc != NULL && pDoc->m_Controller.IsBranchOpen());
}

void CMainFrame::OnAccept()
{
    CBrindlemarkDoc* pDoc = GetGameDoc();
    if (pDoc != NULL && ShowYesNoMessage(LoadResourceString(IDS_CONFIRM_ACCEPT), LoadResourceString(IDS_GO_AHEAD),
                                         LoadResourceString(IDS_STOP)) == kYesNoYes)
        pDoc->AcceptBranch();
}

void CMainFrame::OnRevert()
{
    CBrindlemarkDoc* pDoc = GetGameDoc();
    if (pDoc != NULL && ShowYesNoMessage(LoadResourceString(IDS_CONFIRM_REVERT), LoadResourceString(IDS_GO_AHEAD),
                                         LoadResourceString(IDS_STOP)) == kYesNoYes)
    {
        pDoc->RevertToBranch();
        FitNumberFont();
    }
}

void CMainFrame::OnUpdateUnshaded()
{
    CBrindlemarkDoc* pDoc = GetGameDoc();
    if (pDoc != NULL)
        pDoc->UpdateUnshadedSquares();
}

void CMainFrame::OnUpdatePlaying(CCmdUI* pCmdUI)
{
    CBrindlemarkDoc* pDoc = GetGameDoc();
    pCmdUI->Enable(pDoc != NULL && pDoc->GetCurrent().m_nGameState == htgsPlaying);
}

void CMainFrame::OnAutoMark()
{
    CBrindlemarkDoc* pDoc = GetGameDoc();
    if (pDoc != NULL)
        pDoc->SetAutoMark(!pDoc->GetCurrent().m_bUnshadedUpdate);
}

void CMainFrame::OnUpdateAutoMark(CCmdUI* pCmdUI)
{
    CBrindlemarkDoc* pDoc = GetGameDoc();
    const BOOL bPlaying = pDoc != NULL && pDoc->GetCurrent().m_nGameState == htgsPlaying;
    pCmdUI->Enable(bPlaying);
    pCmdUI->SetCheck(bPlaying && pDoc->GetCurrent().m_bUnshadedUpdate ? 1 : 0);
}

void CMainFrame::OnRevertToStart()
{
    CBrindlemarkDoc* pDoc = GetGameDoc();
    if (pDoc != NULL && ShowYesNoMessage(LoadResourceString(IDS_CONFIRM_START_AGAIN), LoadResourceString(IDS_START),
                                         LoadResourceString(IDS_DONT_START)) == kYesNoYes)
    {
        pDoc->RevertToStart();
        pDoc->InvalidateBoard(TRUE);
    }
}

void CMainFrame::OnShowSolution()
{
    CBrindlemarkDoc* pDoc = GetGameDoc();
    if (pDoc != NULL)
        pDoc->ShowSolution(FALSE);
}

// The pane manager knows a profile pane whether it is docked, floating, tabbed
// or auto-hidden; the pane's window exists only once the pane has shown, so an
// auto-hidden pane that never slid out has none.
BOOL CMainFrame::IsProfilePaneOpen(UINT nPaneID) const
{
    CXTPDockingPane* pPane = m_paneManager.FindPane((int)nPaneID);
    return pPane != NULL && !pPane->IsClosed();
}

void CMainFrame::ToggleProfilePane(UINT nPaneID)
{
    CWnd& wndPane = nPaneID == GAME_PANE_APPEARANCE ? (CWnd&)m_paneAppearance : (CWnd&)m_paneGradeInfo;
    CXTPDockingPane* pPane = m_paneManager.FindPane((int)nPaneID);
    if (pPane == NULL)
    {
        // The pane asks for its window (OnDockingPaneNotify) when it shows.
        pPane = m_paneManager.CreatePane(nPaneID, CRect(0, 0, 200, 120), xtpPaneDockLeft, NULL);
        if (pPane == NULL)
        {
            TRACE("main frame: pane %u could not be created\n", nPaneID);
            return;
        }
        pPane->SetTitle(nPaneID == GAME_PANE_APPEARANCE ? "This puzzle's Appearance Info"
                                                        : "This puzzle's Difficulty Info");
        // Only this command closes the pane: its caption has no Close button.
        pPane->SetOptions(xtpPaneNoCloseable);
    }
    else if (pPane->IsClosed())
    {
        // A stored layout may hold the pane closed: show it where it was.
        m_paneManager.ShowPane(pPane);
    }
    else
    {
        if (wndPane.GetSafeHwnd() != NULL)
            wndPane.DestroyWindow();
        m_paneManager.DestroyPane(pPane);
    }
}

void CMainFrame::OnAppearancePane()
{
    ToggleProfilePane(GAME_PANE_APPEARANCE);
}

void CMainFrame::OnUpdateAppearancePane(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(IsProfilePaneOpen(GAME_PANE_APPEARANCE) ? 1 : 0);
}

void CMainFrame::OnDifficultyPane()
{
    ToggleProfilePane(GAME_PANE_DIFFICULTY);
}

void CMainFrame::OnUpdateDifficultyPane(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(IsProfilePaneOpen(GAME_PANE_DIFFICULTY) ? 1 : 0);
}

void CMainFrame::OnAppearanceList()
{
    CBrindlemarkDoc* pDoc = GetGameDoc();
    if (pDoc == NULL)
        return;
    CHTDataContainer preview(pDoc->GetCurrent());
    int nChosen = -1;
    if (RunProfileListDlg(0, this, &preview, &nChosen) != IDOK)
        return;
    // A profile deleted in the list, or none chosen, changes nothing.
    CAppearanceInfo appearance;
    if (!g_ApplicationInfo.m_AppearanceInfoList.FindProfile(nChosen, appearance))
        return;
    pDoc->m_Controller.SaveState();
    CHTDataContainer& current = pDoc->GetCurrent();
    current.ApplySquareColours(appearance);
    current.m_AppearanceInfo.CopyFrom(appearance);
    current.m_bModified = TRUE;
    pDoc->ShowCurrentProfiles();
    FitNumberFont();
    pDoc->InvalidateBoard(TRUE);
}

void CMainFrame::OnDifficultyList()
{
    // Only managing the profiles here: copying one is offered where a
    // puzzle is being set up (the New Puzzle dialog).
    int nChosen = -1;
    RunProfileListDlg(1, this, NULL, &nChosen, FALSE);
}

void CMainFrame::OnShowTutorial()
{
    CTutorialDlg dlg(this);
    dlg.DoModal();
}

void CMainFrame::OnUpdateManager()
{
    char szWindows[1000];
    UINT nLength = ::GetWindowsDirectoryA(szWindows, sizeof(szWindows));
    if (nLength == 0 || nLength >= sizeof(szWindows))
        return;
    CString strPath = szWindows;
    strPath += "\\";
    strPath += kUpdateManager;
    s_pfnShellOpen(strPath, SW_SHOWNORMAL);
}

void CMainFrame::OnWebLink(UINT nID)
{
    for (const WebLink& link : kWebLinks)
    {
        if (link.nID == nID)
            s_pfnShellOpen(link.pszAddress, SW_SHOWMAXIMIZED);
    }
}

void CMainFrame::OnAbout()
{
    CFlyingAboutDlg dlg(this);
    dlg.DoModal();
}

void CMainFrame::OnPause()
{
    CBrindlemarkDoc* pDoc = GetGameDoc();
    if (pDoc != NULL)
    {
        pDoc->m_bPaused = TRUE;
        pDoc->InvalidateBoard(TRUE);
    }
}

void CMainFrame::OnUpdatePause(CCmdUI* pCmdUI)
{
    CBrindlemarkDoc* pDoc = GetGameDoc();
    pCmdUI->SetCheck(pDoc != NULL && pDoc->m_bPaused ? 1 : 0);
}

void CMainFrame::OnPlay()
{
    CBrindlemarkDoc* pDoc = GetGameDoc();
    if (pDoc != NULL)
    {
        pDoc->m_bPaused = FALSE;
        pDoc->InvalidateBoard(TRUE);
    }
}

void CMainFrame::OnUpdatePlay(CCmdUI* pCmdUI)
{
    CBrindlemarkDoc* pDoc = GetGameDoc();
    pCmdUI->SetCheck(pDoc != NULL && !pDoc->m_bPaused ? 1 : 0);
}

void CMainFrame::OnClockMode(UINT nID)
{
    // The Timer toolbar by its bar id; the new mode shows at its next tick.
    CTimerToolBar* pTimer =
        GetCommandBars() != NULL ? DYNAMIC_DOWNCAST(CTimerToolBar, GetCommandBars()->GetToolBar(IDR_TIMER_TOOLBAR)) : NULL;
    if (pTimer != NULL)
        pTimer->m_nDisplayMode = (int)(nID - ID_TIMER_ELAPSED);
}

void CMainFrame::OnUpdateClockMode(CCmdUI* pCmdUI)
{
    CTimerToolBar* pTimer =
        GetCommandBars() != NULL ? DYNAMIC_DOWNCAST(CTimerToolBar, GetCommandBars()->GetToolBar(IDR_TIMER_TOOLBAR)) : NULL;
    pCmdUI->SetCheck(pTimer != NULL && pTimer->m_nDisplayMode == (int)(pCmdUI->m_nID - ID_TIMER_ELAPSED) ? 1 : 0);
}

void CMainFrame::OnEnterOwnPuzzle()
{
    CBrindlemarkDoc* pDoc = GetGameDoc();
    if (pDoc != NULL)
        pDoc->EnterOwnPuzzle();
    FitNumberFont();
}

void CMainFrame::OnFinalizeGrid()
{
    CBrindlemarkDoc* pDoc = GetGameDoc();
    if (pDoc != NULL)
        pDoc->FinalizeGrid();
    FitNumberFont();
}

void CMainFrame::OnUpdateFinalizeGrid(CCmdUI* pCmdUI)
{
    CBrindlemarkDoc* pDoc = GetGameDoc();
    pCmdUI->Enable(pDoc != NULL && pDoc->GetCurrent().m_nGameState == htgsCopyMode);
}
