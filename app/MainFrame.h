// The game's main frame: the window around the board view with its bars,
// the clock display, the timers that drive the game clock and the first
// layout, the refit of the board's number font after size changes, and the
// command handlers of the menus, toolbars and shortcuts.
#pragma once

#include <afxwin.h>
#include <afxext.h>

#include "AppearanceInfo.h"
#include "GradeInfo.h"
#include "PropGridPanes.h"
#include "VantMatrixCtrl.h"
#include "XTPDockingPaneManager.h"
#include "XTPFrameWnd.h"
#include "XTPStatusBar.h"

class CHTDataContainer;
class CTimerToolBar;
class CXTPToolBar;
struct XTP_COMMANDBARS_CREATECONTROL;

// The name under which the command bars keep their state between runs, and
// the docking layout's.
#define GAME_COMMANDBARS_PROFILE "CommandBars"
#define GAME_DOCKING_LAYOUT "NormalLayout"
// The order of the floating windows among themselves (FloatingOrder.h),
// kept beside the docking layout.
#define GAME_FLOATING_SECTION "DockingPaneLayouts\\" GAME_DOCKING_LAYOUT
#define GAME_FLOATING_ORDER "FloatingOrder"

// The docking panes of the two profile panes.
#define GAME_PANE_APPEARANCE 1000
#define GAME_PANE_DIFFICULTY 1001

class CMainFrame : public CXTPFrameWnd
{
    DECLARE_DYNCREATE(CMainFrame)
public:
    CMainFrame();
    virtual ~CMainFrame();

    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    virtual BOOL DestroyWindow();

    // Refits the number size of the current puzzle's appearance profile to
    // the view's square size and repaints the view. TRUE.
    BOOL FitNumberFont();
    // The profile panes whose windows exist show the position's profiles,
    // and the clock display its clock colours (CBrindlemarkDoc::
    // ShowCurrentProfiles asks for this whenever a position becomes current).
    void ShowProfilesOf(const CHTDataContainer& position);
    // The clock display takes the profile's clock colours and recolours its
    // digits.
    void SetClockColours(const CAppearanceInfo& appearance);
    // Shows the board's context menu at a screen point; the chosen command
    // reaches this frame's command map.
    void TrackBoardMenu(CMenu* pMenu, CPoint pointScreen);

    // TRUE while nothing of the game stands between the player and the
    // board: the window is enabled (no modal dialog, progress window or
    // Customize sheet holds it), no dialog or question of the game is open
    // and no menu or popup of the command bars is. The time-up of a forced
    // game waits for this.
    BOOL IsPlayerAtBoard() const;

    // Shows or removes a profile pane: 1000 appearance, 1001 difficulty.
    void ToggleProfilePane(UINT nPaneID);
    // Whether the pane manager holds the profile pane open, wherever it is.
    BOOL IsProfilePaneOpen(UINT nPaneID) const;

    // Removes from a loaded layout every pane but the first of each profile
    // pane's id.
    void DropStrayPanes(CXTPDockingPaneLayout& layout);

    // Docks a toolbar next to another one in the same dock bar.
    void DockRightOf(CXTPToolBar* pBar, CXTPToolBar* pLeftOf);

public:
    CXTPStatusBar m_wndStatusBar;
    CXTPDockingPaneManager m_paneManager;
    CAppearancePropGridPane m_paneAppearance;   // the window of docking pane 1000
    CGradeInfoPropGridPane m_paneGradeInfo;     // the window of docking pane 1001
    CVantTimerCtrl m_wndClock;
    CTimerToolBar* m_pTimerToolBar;   // owned by the command bars
    bool m_bInSizeMove;
    // The floating windows' order read as the player closes the game, before
    // the frame hides (FloatingOrder.h); empty until then.
    CString m_strClosingFloatingOrder;

    // ----- Commands (also called by the board view)
    afx_msg void OnNewPuzzle();

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg LRESULT OnCreateControl(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnToolBarVisibleChanged(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnDockingPaneNotify(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGridNotify(WPARAM wParam, LPARAM lParam);
    afx_msg void OnCustomize();
    afx_msg void OnTextBelowIcons();
    afx_msg void OnUpdateTextBelowIcons(CCmdUI* pCmdUI);
    afx_msg void OnClose();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg LRESULT OnEnterSizeMove(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnExitSizeMove(WPARAM wParam, LPARAM lParam);
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);

    afx_msg void OnLoadPuzzle();
    afx_msg void OnSavePuzzle();
    afx_msg void OnSavePuzzleAs();
    afx_msg void OnSaveBitmap();
    afx_msg void OnSaveJpeg();
    afx_msg void OnPrintPuzzleBook();
    afx_msg void OnExit();
    afx_msg void OnUndo();
    afx_msg void OnUpdateUndo(CCmdUI* pCmdUI);
    afx_msg void OnCopyPicture();
    afx_msg void OnEditUndo();
    afx_msg void OnUpdateEditUndo(CCmdUI* pCmdUI);
    afx_msg void OnEditCopy();
    afx_msg void OnEditCut();
    afx_msg void OnEditPaste();
    afx_msg void OnUpdateEditInBox(CCmdUI* pCmdUI);
    afx_msg void OnNextPane(UINT nID);
    afx_msg void OnBranch();
    afx_msg void OnUpdateBranch(CCmdUI* pCmdUI);
    afx_msg void OnAccept();
    afx_msg void OnRevert();
    afx_msg void OnUpdateBranchOpen(CCmdUI* pCmdUI);
    afx_msg void OnUpdateUnshaded();
    afx_msg void OnUpdatePlaying(CCmdUI* pCmdUI);
    afx_msg void OnAutoMark();
    afx_msg void OnUpdateAutoMark(CCmdUI* pCmdUI);
    afx_msg void OnRevertToStart();
    afx_msg void OnShowSolution();
    afx_msg void OnAppearancePane();
    afx_msg void OnUpdateAppearancePane(CCmdUI* pCmdUI);
    afx_msg void OnDifficultyPane();
    afx_msg void OnUpdateDifficultyPane(CCmdUI* pCmdUI);
    afx_msg void OnAppearanceList();
    afx_msg void OnDifficultyList();
    afx_msg void OnShowTutorial();
    afx_msg void OnUpdateManager();
    afx_msg void OnWebLink(UINT nID);
    afx_msg void OnAbout();
    afx_msg void OnPause();
    afx_msg void OnUpdatePause(CCmdUI* pCmdUI);
    afx_msg void OnPlay();
    afx_msg void OnUpdatePlay(CCmdUI* pCmdUI);
    afx_msg void OnClockMode(UINT nID);
    afx_msg void OnUpdateClockMode(CCmdUI* pCmdUI);
    afx_msg void OnEnterOwnPuzzle();
    afx_msg void OnFinalizeGrid();
    afx_msg void OnUpdateFinalizeGrid(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()
};

// The thread's main window as the game's frame; NULL without one.
CMainFrame* AFXAPI GetMainFrame();

// Copies the profile's clock colours ("MCOn", "MCOff", "MCBack") into the
// main frame's clock display and recolours it.
void AFXAPI ApplyClockColours(const CAppearanceInfo& appearance);

// Opens a web page or a program (ShellExecute "open"). Replaceable, so tests
// and unattended runs start nothing.
typedef void(AFXAPI* PFN_SHELLOPEN)(LPCTSTR lpszTarget, int nShowCmd);
PFN_SHELLOPEN AFXAPI SetShellOpenHandler(PFN_SHELLOPEN pfnOpen);
