// The floating mini window: a small frame window holding one splitter
// container (its top container) whose tabbed containers hold the floating
// panes. It shows their title, starts a drag when its caption is pressed,
// snaps while it is sized, closes its panes, can roll up to its caption
// while the mouse stays away, and with themed frames paints its own frame
// with three caption buttons. It keeps its rectangle, its rolled-up state
// and its top container in the stored layout.
#pragma once

#include "XTPDockingPaneBase.h"

class CXTPDockingPaneMiniWnd : public CMiniFrameWnd, public CXTPDockingPaneBase
{
    DECLARE_DYNAMIC(CXTPDockingPaneMiniWnd)
public:
    explicit CXTPDockingPaneMiniWnd(CXTPDockingPaneLayout* pLayout);
    virtual ~CXTPDockingPaneMiniWnd();

    // Own overridables: the copy from another mini window (used by Clone),
    // creation at a screen rectangle kept within the work area, the caption
    // button click and the press of the pane-menu button, the opacity.
    virtual void Copy(CXTPDockingPaneMiniWnd* pSource, CXTPPaneToPaneMap* pMap);
    virtual BOOL Create(CRect rc);
    virtual void OnCaptionButtonClick(CXTPDockingPaneCaptionButton* pButton);
    virtual BOOL OnCaptionButtonDown(CXTPDockingPaneCaptionButton* pButton);
    virtual void UpdateAlpha();

    // Sets the window up with a pane or a container at a screen rectangle.
    void Init(CXTPDockingPaneBase* pPane, CRect rc);

    CXTPDockingPaneSplitterContainer* GetTopPane() const { return m_pTopContainer; }
    void SetTopPane(CXTPDockingPaneSplitterContainer* pContainer);
    BOOL IsCollapsed() const { return m_bCollapsed; }
    BOOL IsRolledOut() const { return m_bExpanded; }
    BOOL IsRolling() const { return m_bSlideOut; }
    BOOL IsActive() const { return m_bActive; }
    CRect GetStoredRect() const { return m_rcStored; }
    int GetExpandedHeight() const { return m_nExpandedHeight; }
    BOOL IsThemed() const;
    // Rolls the window up to its caption or back (the collapse button).
    void ExpandCollapse();
    // The frame style after a theme change: the system's frame or the
    // theme's own; run by the manager's RedrawPanes.
    void OnThemedChanged();
    // The height of a rolled-up window.
    int GetCollapsedHeight() const;

    // CXTPDockingPaneBase
    virtual HWND GetPaneHwnd() const { return m_hWnd; }
    virtual void FindPanes(XTPDockingPaneType type, CXTPDockingPaneBaseList* pList);
    virtual POSITION ContainsPane(CXTPDockingPaneBase* pPane) const;
    virtual BOOL IsHidden() const;
    virtual void Invalidate();
    virtual void OnChildVisibilityChanged(CXTPDockingPaneBase* pChild);
    virtual void OnChildContainerChanged(CXTPDockingPaneBase* pChild);
    virtual void OnFocusChanged();
    virtual void RemovePane(CXTPDockingPaneBase* pPane);
    virtual CXTPDockingPaneBase* Clone(CXTPDockingPaneLayout* pLayout, CXTPPaneToPaneMap* pMap,
                                       DWORD dwIgnoredOptions = 0);
    virtual BOOL DoPropExchange(CXTPPropExchange* pPX);
    virtual BOOL IsCaptionButtonVisible(CXTPDockingPaneCaptionButton* pButton);
    virtual void Release() { InternalRelease(); }

    virtual void RecalcLayout(BOOL bNotify = TRUE);
    virtual void OnFinalRelease();
    virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const;

    // Whether the collapse button is shown on every floating window.
    static BOOL m_bShowPinButton;

public:
    BOOL m_bActive;
    CRect m_rcStored;   // screen rectangle, kept when the window goes
    CXTPDockingPaneSplitterContainer* m_pTopContainer;
    BOOL m_bCreated;
    int m_nExpandedHeight;
    int m_nStepsCount;
    int m_nStep;
    int m_nDeactivationCount;   // leave checks before the window rolls up
    BOOL m_bCollapsed;
    BOOL m_bExpanded;           // a collapsed window shown at full height
    BOOL m_bSlideOut;           // the roll-up runs
    BOOL m_bDelayInvalidate;    // the child-changed update is pending
    BOOL m_bInRecalcLayout;
    BOOL m_bCloseEnabled;
    // Under a window manager, a window that no pane lets close but that is
    // part of its frame: the system menu's Close item is kept enabled for
    // the window manager's close request (Alt+F4) and shown greyed.
    BOOL m_bCloseKeptForWindowManager;

protected:
    virtual void PostNcDestroy() {}
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    void UpdateWindowTitle();
    // Sends an action for each pane in turn; the first veto stops the
    // series and is the answer.
    BOOL NotifyPanes(XTPDockingPaneAction action);
    // The caption band in window coordinates, and a screen point there.
    CPoint ScreenToWindowPoint(CPoint pt) const;
    void StopRolling();
    void SetWindowHeight(int nHeight, UINT nFlags);
    // TRUE for the messages whose default handling draws the caption's
    // close button, tracks a press on it or shows the system menu.
    static BOOL ShowsCloseItem(UINT message, WPARAM wParam);

    afx_msg void OnClose();
    afx_msg void OnDestroy();
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnNcActivate(BOOL bActive);
    afx_msg void OnSizing(UINT nSide, LPRECT lpRect);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnNcPaint();
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
    afx_msg void OnNcRButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnNcMouseMove(UINT nHitTest, CPoint point);
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    DECLARE_MESSAGE_MAP()
};
