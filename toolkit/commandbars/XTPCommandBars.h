// The one object per frame window that owns every command bar of that
// frame: the menu bar, the toolbars, the four dock bars, the context menus,
// the options, the shortcut manager, the actions and a tooltip context. The
// frame routes its key, mouse and window messages to it first.
#pragma once

#include "XTPCommandBarsDefines.h"
#include "XTPCommandBar.h"
#include <afxtempl.h>

class CXTPToolBar;
class CXTPMenuBar;
class CXTPPopupBar;
class CXTPDockBar;
class CXTPReBar;
class CXTPControl;
class CXTPControlActions;
class CXTPControlAction;
class CXTPCommandBarsOptions;
class CXTPShortcutManager;
class CXTPToolTipContext;
class CXTPPaintManager;
class CXTPImageManager;
class CXTPMouseManager;
class CXTPCommandBarKeyboardTip;
class CXTPCustomizeDragTracker;
class CXTPCustomizeSheet;
class CXTPCommandBars;
struct XTP_BARINFO;

// The popup bars kept as context menus.
class CXTPCommandBarsContextMenus : public CXTPCommandBarList
{
public:
    explicit CXTPCommandBarsContextMenus(CXTPCommandBars* pCommandBars) : m_pCommandBars(pCommandBars) {}
    // Appends the popup bar (taking over the caller's reference) and marks
    // it as a context menu.
    CXTPPopupBar* Add(CXTPPopupBar* pPopupBar);

protected:
    CXTPCommandBars* m_pCommandBars;
};

class CXTPCommandBars : public CCmdTarget
{
    DECLARE_DYNCREATE(CXTPCommandBars)
public:
    // The classes bars are created from, in this order: toolbar, menu bar,
    // popup bar, popup toolbar, dock bar. A program may replace an entry
    // before bars are made.
    enum XTPBarClass
    {
        classToolBar = 0,
        classMenuBar = 1,
        classPopupBar = 2,
        classPopupToolBar = 3,
        classDockBar = 4
    };

    CXTPCommandBars();
    virtual ~CXTPCommandBars();

    // Virtual operations, in the order derived command bars rely on.
    virtual CXTPMenuBar* GetMenuBar() const;                                    // 1
    virtual BOOL IsCommandHidden(UINT nID) const;                               // 2
    virtual BOOL IsControlHidden(CXTPControl* pControl) const;                  // 3
    virtual UINT GetActiveDocTemplate();                                        // 4
    virtual void ShowToolbarsContextMenu(CXTPCommandBar* pBar, int x, int y);   // 5
    virtual CXTPPopupBar* GetToolbarsPopup();                                   // 6
    virtual void FillExpandPopup(CXTPCommandBar* pBar, CXTPCommandBar* pPopup); // 7
    virtual void FillAddRemovePopup(CXTPCommandBar* pBar, CXTPCommandBar* pPopup); // 8
    virtual void OnToolBarAdded(CXTPToolBar* pToolBar);                         // 9
    virtual void OnToolBarRemoved(CXTPToolBar* pToolBar);                       // 10
    virtual void OnTrackingModeChanged(CXTPCommandBar* pBar, int bMode);        // 11
    virtual CXTPToolBar* CreateCustomToolBar(LPCTSTR lpszName, UINT nID, BOOL bTearOffBar = FALSE); // 12
    // The exchange of all bars with a saved state.
    virtual BOOL SaveCommandBarList(CXTPPropExchange* pPX, CXTPCommandBarList* pCommandBarList);    // 13
    virtual BOOL LoadCommandBarList(CXTPPropExchange* pPX, CXTPCommandBarList* pCommandBarList);    // 14
    virtual void GenerateCommandBarList(CXTPCommandBarList* pCommandBarList, void* pParam);          // 15
    virtual void RestoreCommandBarList(CXTPCommandBarList* pCommandBarList, BOOL bSilent = FALSE);  // 16
    // Drops every stored popup link of a loaded list that would make a bar
    // open itself, directly or through other bars; the number dropped.
    static int AFX_CDECL DropPopupCycles(CXTPCommandBarList* pCommandBarList);
    // A fingerprint of the program's own bars (the original controls of the
    // built-in toolbars, with the popup bars they open); never 0. Saved with
    // the controls, it tells a real change of the program's bars from a
    // damaged stored copy of them.
    DWORD GetOwnBarsFingerprint() const;
    // FALSE while stored controls load whose fingerprint matches the
    // program's bars: a stored original copy that differs is then damage,
    // not an update, and the player is not asked about it.
    BOOL m_bOwnBarsChanged = TRUE;
    // A fingerprint of what the player can change in the bars: every
    // toolbar and context menu with the controls they hold and the popups
    // those open (captions, commands, order, groups, styles, own images),
    // a control the player hid counting as one removed. Layout flags are
    // left out. Never 0.
    DWORD GetControlsFingerprint() const;
    // TRUE when the bars hold something else than the last load gave them:
    // the player changed them since. Followed only while stored controls
    // are kept aside (FALSE otherwise, and when nothing was loaded).
    BOOL IsChangedSinceLoad() const;

    // Frame integration.
    void SetSite(CWnd* pFrame);
    CWnd* GetSite() const { return m_pFrame; }
    void CreateDockBars();
    CXTPMenuBar* CreateMenuBar(LPCTSTR lpszName, UINT nID);
    CXTPToolBar* Add(LPCTSTR lpszName, XTPBarPosition barPosition, CRuntimeClass* pToolbarClass = NULL);
    BOOL DockCommandBar(CXTPToolBar* pBar, LPRECT lpRect, CXTPDockBar* pDockBar);
    BOOL DockCommandBar(CXTPToolBar* pBar, XTPBarPosition barPosition);
    BOOL FloatCommandBar(CXTPToolBar* pBar);
    // The frame's messages: TRUE when the bars handled one.
    BOOL OnFrameWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    BOOL PreTranslateFrameMessage(MSG* pMsg);
    void OnSetPreviewMode(BOOL bPreview);

    // The bars.
    int GetCount() const { return (int)m_arrBars.GetSize(); }
    CXTPToolBar* GetAt(int nIndex) const;
    CXTPToolBar* GetToolBar(UINT nID) const;
    int FindIndex(CXTPToolBar* pBar) const;
    int GetNextVisible(int nIndex, int nDirection) const;
    void Remove(CXTPToolBar* pToolBar);
    void RemoveAll();
    void ToggleVisible(int nIndex);
    CXTPDockBar* GetDockBar(XTPBarPosition barPosition) const;
    // The dock bar within 20 pixels of the screen point.
    CXTPDockBar* CanDock(CPoint pt, CXTPDockBar* pMainDock = NULL) const;
    CXTPCommandBarsContextMenus* GetContextMenus() const { return m_pContextMenus; }

    // Layout and redraw.
    void RecalcFrameLayout(BOOL bDelay = FALSE);
    void RedrawCommandBars();
    void LockLayout(BOOL bLock) { m_bRecalcLayout = bLock; }
    BOOL IsLayoutLocked() const { return m_bRecalcLayout; }

    // Customisation.
    void SetCustomizeMode(BOOL bMode);
    BOOL IsCustomizeMode() const { return m_bCustomizeMode; }
    void SetQuickCustomizeMode(BOOL bMode);
    BOOL IsQuickCustomizeMode() const { return m_bQuickCustomizeMode; }
    BOOL IsCustomizable() const { return m_bCustomizable; }
    void SetCustomizable(BOOL bCustomizable) { m_bCustomizable = bCustomizable; }
    void SetDragControl(CXTPControl* pControl);
    CXTPControl* GetDragControl() const { return m_pDragSelected; }
    CXTPCustomizeDragTracker* GetDragTracker() const { return m_pDragTracker; }
    // Runs the customise drag of a control through the drag tracker: 0
    // dropped nowhere, 2 moved, 5 cancelled or not moved, another value
    // copied; -1 when there is no drag tracker. With bCopyOnly the drag
    // shows the copy cursor throughout.
    virtual int TrackCustomizeDrag(CXTPControl* pControl, CPoint point, BOOL bCopyOnly = FALSE);
    // Every control may be moved in customisation, even on bars that are not
    // customizable and controls flagged not movable.
    void SetCustomizeAll(BOOL bCustomizeAll) { m_bCustomizeAll = bCustomizeAll; }
    BOOL IsCustomizeAll() const { return m_bCustomizeAll; }
    // The open Customize sheet (through the drag tracker), or NULL.
    CXTPCustomizeSheet* GetCustomizeSheet() const;

    // Popup tracking. Flags: 0x100 returns the chosen command through
    // pReturnCmd; 2 tracks the right button; 1 keeps the open popups.
    static BOOL AFX_CDECL TrackPopupBar(CXTPPopupBar* pPopup, UINT nFlags, int x, int y, CWnd* pWnd = NULL,
                                        LPCRECT rcExclude = NULL, UINT* pReturnCmd = NULL);
    // Builds a popup bar from the menu and tracks it; the chosen command
    // is sent to the window (or returned with 0x100).
    static UINT AFX_CDECL TrackPopupMenu(CMenu* pMenu, UINT nFlags, int x, int y, CWnd* pWnd,
                                         LPCRECT rcExclude = NULL, CWnd* pWndOwner = NULL,
                                         CXTPCommandBars* pCommandBars = NULL);
    void ClosePopups() const;

    // Hidden and used commands.
    void HideCommand(UINT nID);
    void HideCommands(const UINT* pCommands, int nCount);
    void SetCommandUsed(UINT nID);
    void ResetUsageData();

    // Options persistence.
    void SaveOptions(LPCTSTR lpszProfileName);
    void LoadOptions(LPCTSTR lpszProfileName);

    // Where the bars stand and what they hold, under sections named from the
    // key ("<key>-Bar0", "<key>-Summary", "<key>-DockBar0", "<key>-Controls").
    // SaveBarState is FALSE when some of it could not be written.
    BOOL SaveBarState(LPCTSTR lpszProfileName, BOOL bOnlyCustomized = TRUE);
    void LoadBarState(LPCTSTR lpszProfileName, BOOL bSilent = FALSE);
    void GetBarInfo(CXTPToolBar* pBar, XTP_BARINFO* pInfo);
    void SetBarInfo(CXTPToolBar* pBar, XTP_BARINFO* pInfo);
    // The controls part of the bar state (FALSE when the controls could not
    // be stored); the file path used for a large one.
    BOOL SaveControls(LPCTSTR lpszProfileName, BOOL bOnlyCustomized);
    void LoadControls(LPCTSTR lpszProfileName, BOOL bSilent);
    CString GetControlsFilePath(LPCTSTR lpszProfileName) const;

    // Keyboard focus of a bar: its tracking mode with the first control
    // selected, as from the keyboard.
    BOOL SetTrackingBar(CXTPCommandBar* pBar);
    // Moves the keyboard to the next (or previous) visible toolbar.
    BOOL SetNextTrackingBar(CXTPCommandBar* pBar, BOOL bPrevious);

    // Keyboard cues and tips (the cues flag is read by the bars).
    BOOL IsKeyboardCuesVisible() const { return m_bKeyboardCuesVisible; }
    void ShowKeyboardCues(BOOL bShow);
    // Sets the cues flag as stored options ask, whether or not cues follow
    // the system (ShowKeyboardCues acts only while they do).
    void SetKeyboardCuesVisible(BOOL bVisible) { m_bKeyboardCuesVisible = bVisible; }
    BOOL IsKeyboardCuesFollowSystem() const { return m_bCuesFollowSystem; }
    void SetKeyboardCuesFollowSystem(BOOL bFollow) { m_bCuesFollowSystem = bFollow; }
    void HideKeyboardTips();
    void ShowKeyboardTips(CXTPCommandBar* pBar, int nLevel);
    CXTPCommandBar* GetKeyboardTipsOwner() const { return m_pKeyboardTipsOwner; }
    int GetKeyboardTipsLevel() const { return m_nKeyboardTipsLevel; }
    // Access keys of another bar on Alt+letter; TRUE when one was taken.
    virtual BOOL OnFrameAccel(TCHAR chAccel);
    // The control whose access letter the key types, walking from the bar's
    // selected control; bAmbiguous when another control has the letter too.
    CXTPControl* FindAccelControl(CXTPCommandBar* pBar, UINT nKey, BOOL& bAmbiguous);
    // A typed letter while keyboard tips show: TRUE when the tips took it.
    BOOL OnKeyboardTipChar(CXTPCommandBar* pBar, UINT nChar);
    // Takes over a tip made by a bar's keyboard-tip creation.
    void AddKeyboardTip(CXTPCommandBarKeyboardTip* pTip);
    // A letter typed while pBar (not a popup) tracks that is no access key
    // of pBar but one of another visible bar: that bar takes over and runs
    // (or, when ambiguous, selects) its control. TRUE when taken.
    virtual BOOL OnToolBarAccel(CXTPCommandBar* pBar, TCHAR chAccel);

    // Owned or global services.
    CXTPCommandBarsOptions* GetCommandBarsOptions() const { return m_pOptions; }
    CXTPShortcutManager* GetShortcutManager() const { return m_pShortcutManager; }
    CXTPControlActions* GetActions() const { return m_pActions; }
    CXTPControlAction* CreateAction(int nId);
    CXTPControlAction* FindAction(int nId) const;
    void EnableActions(BOOL bEnable = TRUE) { m_bEnableActions = bEnable; }
    BOOL IsActionsEnabled() const { return m_bEnableActions; }
    CXTPPaintManager* GetPaintManager() const;
    void SetPaintManager(CXTPPaintManager* pPaintManager);
    CXTPImageManager* GetImageManager() const;
    void SetImageManager(CXTPImageManager* pImageManager);
    CXTPToolTipContext* GetToolTipContext() const { return m_pToolTipContext; }
    CXTPReBar* GetReBar() const;
    CXTPMouseManager* GetMouseManager() const;
    UINT GetHelpTrackingId() const { return m_nHelpTrackingID; }
    void SetHelpTrackingId(UINT nId) { m_nHelpTrackingID = nId; }
    BOOL IsLayoutRTL() const { return m_bRightToLeft; }
    void SetShiftAltPassthrough(BOOL b) { m_bIgnoreShiftMenuKey = b; }
    void SetControlsFileName(LPCTSTR lpszFileName) { m_strControlsFileName = lpszFileName; }
    CString GetControlsFileName() const { return m_strControlsFileName; }
    UINT GetDefaultMenuId() const { return m_nDefaultMenuID; }

    // The run-time classes bars are made from.
    CRuntimeClass* GetBarClass(XTPBarClass nClass) const { return m_pBarClasses[nClass]; }
    void SetBarClass(XTPBarClass nClass, CRuntimeClass* pClass) { m_pBarClasses[nClass] = pClass; }

    // Live instances (for leak checks).
    static LONG AFX_CDECL GetInstanceCount() { return s_nInstanceCount; }

protected:
    CXTPToolBar* CreateToolBarObject(XTPBarClass nClass) const;
    // A loaded toolbar merged into the bar of its id.
    void MergeLoadedToolBar(CXTPToolBar* pExisting, CXTPToolBar* pLoaded, BOOL bSilent);
    void CopyLoadedToolBar(CXTPToolBar* pExisting, CXTPToolBar* pLoaded);
    // TRUE when the stored controls loaded whole: nothing damaged was left
    // out.
    BOOL LoadControlsFromFile(CMemFile* pFile, BOOL bSilent);
    // A stored controls value that did not load whole is kept under the
    // section "<key>-ControlsNotLoaded" until the player changes the bars.
    void SetAsideControls(LPCTSTR lpszProfileName);
    void DropSetAsideControls(LPCTSTR lpszProfileName);
    BOOL HasSetAsideControls(LPCTSTR lpszProfileName);
    // GetControlsFingerprint after the last load that left controls kept
    // aside; 0 otherwise.
    DWORD m_dwControlsAtLoad = 0;
    int m_nRestoreDropped = 0;      // loaded bars RestoreCommandBarList left out as damaged
    void OnSysColorChange();

public:
    CCmdTarget* m_pAttachedObject;
    BOOL m_bIgnoreShiftMenuKey;
    CPtrArray m_arrKeyboardTips;    // CXTPCommandBarKeyboardTip*, owned
    CXTPCommandBar* m_pKeyboardTipsOwner;
    int m_nKeyboardTipsLevel;
    CXTPCustomizeDragTracker* m_pDragTracker;
    CXTPPaintManager* m_pPaintManager;
    CXTPImageManager* m_pImageManager;
    CXTPControl* m_pDragSelected;
    BOOL m_bCustomizeMode;
    BOOL m_bCustomizable;
    UINT m_nDefaultMenuID;
    BOOL m_bQuickCustomizeMode;
    CString m_strControlsFileName;
    CXTPCommandBarsOptions* m_pOptions;
    CXTPCommandBarsContextMenus* m_pContextMenus;
    CArray<CXTPToolBar*, CXTPToolBar*> m_arrBars;
    CXTPDockBar* m_pDocks[4];
    CWnd* m_pFrame;
    CXTPToolTipContext* m_pToolTipContext;
    mutable CXTPMouseManager* m_pMouseManager;
    BOOL m_bKeyboardCuesVisible;
    CXTPShortcutManager* m_pShortcutManager;
    UINT m_nHelpTrackingID;
    CXTPControlActions* m_pActions;
    BOOL m_bRecalcLayout;       // the layout lock
    BOOL m_bCuesFollowSystem;
    BOOL m_bRightToLeft;
    BOOL m_bEnableActions;
    BOOL m_bCustomizeAll;
    CRuntimeClass* m_pBarClasses[5];

private:
    static LONG s_nInstanceCount;
};
