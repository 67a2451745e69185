// The docking-pane manager: the one object through which an application
// uses docking panes. It is a hidden child window of the frame (its site),
// owns the live layout and the theme, creates, docks, floats, shows, closes
// and hides panes, keeps the frame's layout in step and tells its owner
// window about every change with message XTPWM_DOCKINGPANE_NOTIFY.
#pragma once

#include "XTPDockingPane.h"
#include "XTPDockingPaneLayout.h"

#include <XTPAccessible.h>

class CXTPImageManager;
class CXTPToolTipContext;

// Docking themes (SetTheme).
enum XTPDockingPanePaintTheme
{
    xtpPaneThemeDefault = 0,
    xtpPaneThemeOffice = 1,
    xtpPaneThemeOffice2003 = 2,
    xtpPaneThemeNativeWinXP = 3,
    xtpPaneThemeGrippered = 4,
    xtpPaneThemeVisio = 5,
    xtpPaneThemeWhidbey = 6,
    xtpPaneThemeShortcutBar2003 = 7,
    xtpPaneThemeExplorer = 8,
    xtpPaneThemeVisualStudio2005 = 9,
    xtpPaneThemeOffice2007 = 10
};

class CXTPDockingPaneManager : public CWnd, public CXTPAccessible
{
    DECLARE_DYNAMIC(CXTPDockingPaneManager)
public:
    CXTPDockingPaneManager();
    virtual ~CXTPDockingPaneManager();

    // Set-up.
    BOOL AttachToSite(CWnd* pSite, BOOL bClipChildren = TRUE);
    CWnd* GetSite() const { return m_pSite; }

    // Panes.
    CXTPDockingPane* CreatePane(UINT nID, CRect rc, XTPDockingPaneDirection direction,
                                CXTPDockingPaneBase* pNeighbour = NULL);
    void DockPane(CXTPDockingPaneBase* pPane, XTPDockingPaneDirection direction,
                  CXTPDockingPaneBase* pNeighbour = NULL);
    CXTPDockingPaneMiniWnd* FloatPane(CXTPDockingPaneBase* pPane, CRect rc);
    void AttachPane(CXTPDockingPaneBase* pPane, CXTPDockingPaneBase* pAttachTo);
    void ShowPane(CXTPDockingPane* pPane, BOOL bSetFocus = TRUE);
    void ShowPane(int nID, BOOL bSetFocus = TRUE) { ShowPane(FindPane(nID), bSetFocus); }
    void ClosePane(CXTPDockingPane* pPane);
    void ClosePane(int nID) { ClosePane(FindPane(nID)); }
    void HidePane(CXTPDockingPaneBase* pPane);
    void ToggleDocking(CXTPDockingPaneBase* pPane);
    void DestroyPane(CXTPDockingPane* pPane);
    void DestroyPane(int nID) { DestroyPane(FindPane(nID)); }
    CXTPDockingPane* FindPane(int nID) const;
    CXTPDockingPaneBase* GetPaneHolder(CXTPDockingPane* pPane, BOOL bFloating);
    CXTPDockingPane* GetActivePane() const { return m_pActivePane; }

    // Themes.
    void SetTheme(int nTheme);
    int GetCurrentTheme() const;
    CXTPDockingPanePaintManager* GetPaintManager() const { return m_pPaintManager; }

    // Layouts. SaveCurrentLayout / ApplyLayout are the same operations as
    // GetLayout / SetLayout.
    virtual CXTPDockingPaneLayout* CreateLayout();
    void GetLayout(CXTPDockingPaneLayout* pLayout) const;
    void SetLayout(const CXTPDockingPaneLayout* pLayout);
    void SaveCurrentLayout(CXTPDockingPaneLayout* pLayout) const { GetLayout(pLayout); }
    void ApplyLayout(const CXTPDockingPaneLayout* pLayout) { SetLayout(pLayout); }
    CXTPDockingPaneLayout* GetCurrentLayout() const { return m_pLayout; }
    CXTPDockingPaneInfoList& GetPaneList() const;
    CXTPDockingPaneBase* GetClientPane() const;
    CXTPDockingPaneSplitterContainer* GetTopPane() const;

    // Layout of the site.
    void RecalcFrameLayout(CXTPDockingPaneBase* pPane, BOOL bDelay = FALSE);
    // Re-lays out every pane's site later (posted).
    void RedrawPanes();
    void UpdatePanes();   // the holders of the pane records

    // Print preview in the site frame: the docked, auto-hidden and floating
    // panes step aside while it shows (their windows hidden, the frame's
    // room left to the preview) and come back as they were afterwards. The
    // manager follows the frame's preview mode on its own at each layout
    // pass; this does the work.
    void OnSetPreviewMode(BOOL bPreview);
    BOOL IsInPreviewMode() const { return m_bPreviewMode; }

    // Notifications.
    virtual LRESULT NotifyOwner(UINT nCode, LPARAM lParam);
    // Sends an action to the owner; TRUE when it is vetoed.
    BOOL NotifyAction(XTPDockingPaneAction action, CXTPDockingPane* pPane, CXTPDockingPaneBase* pDockContainer = NULL,
                      XTPDockingPaneDirection dockDirection = xtpPaneDockLeft);
    virtual void SetActivePane(BOOL bActive, CXTPDockingPane* pPane);
    // Runs OnFocusChanged of every tabbed container and mini window when
    // the focus moved.
    void CheckFocus();

    // Geometry.
    BOOL IsLayoutRTL() const;
    XTPDockingPaneDirection MirrorDirection(XTPDockingPaneDirection direction) const;
    int GetPaneDirection(const CXTPDockingPaneBase* pPane) const;
    CRect GetDockingRect(CXTPDockingPaneBase* pPane, XTPDockingPaneDirection direction,
                         CXTPDockingPaneBase* pNeighbour);

    // The object factory.
    virtual CXTPDockingPaneBase* OnCreatePane(XTPDockingPaneType type, CXTPDockingPaneLayout* pLayout);

    CXTPImageManager* GetImageManager() const { return m_pImageManager; }
    CXTPToolTipContext* GetToolTipContext() const { return m_pToolTipContext; }
    CXTPDockingPaneContext* GetDockingContext() const { return m_pDockingContext; }
    BOOL IsInitialUpdateCalled() const { return m_bInitialUpdateCalled; }
    BOOL IsLayoutPositioned() const { return m_bLayoutCreated; }
    BOOL IsAttaching() const { return m_bAttachingPane; }
    CString GetMoveText() const { return m_strMove; }

    // Options.
    void SetDefaultPaneOptions(DWORD dwOptions) { m_dwDefaultPaneOptions = dwOptions; }
    DWORD GetDefaultPaneOptions() const { return m_dwDefaultPaneOptions; }
    void SetClientMargin(int nMargin) { m_nClientMargin = nMargin; }
    int GetClientMargin() const { return m_nClientMargin; }
    void HideClient(BOOL bHide) { m_bHideClient = bHide; }
    BOOL IsClientHidden() const { return m_bHideClient; }
    void LockSplitters(BOOL bLock = TRUE) { m_bLockSplitters = bLock; }
    BOOL IsSplittersLocked() const { return m_bLockSplitters; }
    void UseSplitterTracker(BOOL bSplitterTracker) { m_bSplitterTracker = bSplitterTracker; }
    BOOL IsSplitterTrackerUsed() const { return m_bSplitterTracker; }
    void SetCaptionDirection(int nDirection) { m_captionDirection = nDirection; }
    // Takes over the keyboard shortcuts of XTPDockingPaneKeyboardShortcuts
    // while the focus is in the frame (0: none); the manager needs its window.
    void EnableKeyboardNavigate(int nOptions = xtpPaneKeyboardUseAll);
    int GetKeyboardNavigate() const { return m_nKeyboardShortcuts; }
    int GetCaptionDirection() const { return m_captionDirection; }

public:
    int m_nSplitterGap;              // pixels each side of a tracked bar keeps at least
    BOOL m_bCloseGroupOnButtonClick;
    BOOL m_bHideGroupOnButtonClick;
    BOOL m_bShowSizeCursorWhileDragging;
    CSize m_szClientMinSize;
    int m_nStickyGap;
    CWnd* m_pSite;
    CXTPDockingPaneLayout* m_pLayout;
    CXTPDockingPanePaintManager* m_pPaintManager;
    CXTPDockingPane* m_pActivePane;
    int m_nClientMargin;
    BOOL m_bStickyFloatingFrames;
    CXTPImageManager* m_pImageManager;
    BOOL m_bHideClient;
    BOOL m_bSplitterTracker;
    BOOL m_bShowMaximizeButton;
    BOOL m_bLockSplitters;
    BOOL m_bAlphaDockingContext;
    BOOL m_bShowDockingContextStickers;
    BOOL m_bShowContentsWhileDragging;
    BOOL m_bThemedFloatingFrames;
    BOOL m_bSyncActiveFloatingFrames;
    int m_nFloatingFramesOpacity;
    int m_nKeyboardShortcuts;
    DWORD m_dwDefaultPaneOptions;
    int m_captionDirection;
    CString m_strFloatingFrameCaption;
    int m_nDockingContextStickerStyle;
    CXTPDockingPaneContext* m_pDockingContext;
    CXTPToolTipContext* m_pToolTipContext;
    typedef BOOL(WINAPI* PFNSETLAYEREDWINDOWATTRIBUTES)(HWND, COLORREF, BYTE, DWORD);
    PFNSETLAYEREDWINDOWATTRIBUTES m_pfnSetLayeredWindowAttributes;
    HWND m_hwndLastFocus;
    BOOL m_bAttachingPane;
    BOOL m_bLayoutCreated;
    BOOL m_bInitialUpdateCalled;
    CString m_strMove;

protected:
    // The docking algorithm: an object next to a neighbour (or the frame).
    void InsertPane(CXTPDockingPaneBase* pPane, XTPDockingPaneDirection direction, CXTPDockingPaneBase* pNeighbour);
    // Toggles one pane to its holder; FALSE when refused or vetoed.
    BOOL ToggleDockingPane(CXTPDockingPane* pPane, CXTPDockingPaneBase* pHolder, BOOL bFloat);
    // ToggleDocking's work, without the care for the activation.
    void ToggleDockingOf(CXTPDockingPaneBase* pPane);
    CXTPDockingPaneTabbedContainer* WrapInContainer(CXTPDockingPane* pPane, CWnd* pSite);
    BOOL OnNextPane(BOOL bNext);
    void ShowPaneMenu();

    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnInitialUpdate(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetObject(WPARAM wParam, LPARAM lParam);
    afx_msg void OnSysColorChange();
    afx_msg void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    DECLARE_MESSAGE_MAP()

    // Accessibility.
    virtual DWORD InternalQueryInterface(const void* iid, LPVOID* ppvObj);
    virtual HRESULT GetAccessibleChildCount(long* pcountChildren);
    virtual HRESULT GetAccessibleChild(VARIANT varChild, IDispatch** ppdispChild);
    virtual HRESULT GetAccessibleName(VARIANT varChild, BSTR* pszName);
    virtual HRESULT GetAccessibleRole(VARIANT varChild, VARIANT* pvarRole);
    virtual HRESULT AccessibleLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight,
                                       VARIANT varChild);
    virtual CCmdTarget* GetAccessibleCmdTarget() { return this; }

private:
    // TRUE while the site frame shows a print preview.
    BOOL IsSitePreviewing() const;
    // A window of this manager's panes: a container, splitter, auto-hide
    // panel or slide-out, or a floating mini window.
    BOOL IsPaneWindow(HWND hWnd) const;

    BOOL m_bOleInitialized;
    BOOL m_bPreviewMode;
    CPtrArray m_arrPreviewHidden;   // HWNDs hidden for the preview
};
