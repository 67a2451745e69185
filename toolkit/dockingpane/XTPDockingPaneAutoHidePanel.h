// Auto-hidden panes: the auto-hide panel of one edge of the docking area,
// a thin strip with one tab per pane (the tabbed containers of the panes
// hidden to that edge, each one tab group), and the slide-out window in
// which a pane's container slides out of the edge while the user points at
// or clicks its tab, and slides back in when the mouse stays away. The
// layout keeps up to four panels and stores each one's "Direction".
#pragma once

#include "XTPDockingPaneBase.h"

#include <XTPTabManager.h>
#include <afxclip.h>

class CXTPDockingPaneAutoHidePanel;

// The slide-out window of an auto-hidden pane.
class CXTPDockingPaneAutoHideWnd : public CMiniFrameWnd
{
    DECLARE_DYNAMIC(CXTPDockingPaneAutoHideWnd)
public:
    CXTPDockingPaneAutoHideWnd(CXTPDockingPaneAutoHidePanel* pPanel, CXTPDockingPaneTabbedContainer* pPane);

    CXTPDockingPaneTabbedContainer* GetContainer() const { return m_pPane; }
    CXTPDockingPaneAutoHidePanel* GetPanel() const { return m_pPanel; }
    // The full rectangle in the site's client coordinates.
    CRect GetFullRect() const { return m_rcWindow; }
    int GetStepsCount() const { return m_nStepsCount; }
    int GetStep() const { return m_nSlideStep; }
    BOOL IsClosing() const { return m_bSlideOut; }
    BOOL IsResizing() const { return m_bTracking; }
    int GetLeaveCount() const { return m_nDeactivationCount; }

    // Hides the window, gives the container back to the site and closes.
    void CloseWindow();
    // Hides the container and gives it back to the site window.
    void ReleaseContainer();
    // Shows the part of the full extent for the current step.
    void DoSlideStep();
    // The limits of the splitter edge: FALSE when it cannot be dragged.
    BOOL GetResizeLimits(int& nMinExtent, int& nMaxExtent) const;
    // Applies a new extent across the edge.
    void ApplyExtent(int nExtent);
    // Draws the window's face and its splitter edge.
    void DrawWindow(CDC* pDC, CRect rc);

    virtual void RecalcLayout(BOOL bNotify = TRUE);
    virtual void OnFinalRelease();

    // Settings shared by every slide-out window and by the rolling of
    // floating windows.
    static int m_nAnimationInterval;   // ms per step
    static int m_nAnimationDuration;   // ms for a fixed-duration slide
    static double m_dAnimationSpeed;   // <0 fixed duration, 0 none, >0 steps by size
    static BOOL m_bCloseOnLeave;       // slide in when the mouse leaves
    static DWORD m_dwHoverTime;        // hover time of the panel's tabs
    static int m_nLeaveCheckPeriod;    // ms between leave checks

    enum AutoHideTimer
    {
        timerLeaveCheck = 1,
        timerSlideOut = 2,
        timerSlideIn = 3,
        timerClose = 4
    };

public:
    CXTPDockingPaneTabbedContainer* m_pPane;
    CXTPDockingPaneAutoHidePanel* m_pPanel;
    XTPDockingPaneDirection m_direction;
    BOOL m_bHoriz;
    int m_nSlideStep;
    int m_nStepsCount;
    BOOL m_bSlideOut;        // sliding in (closing)
    CRect m_rcWindow;
    int m_nDeactivationCount;
    BOOL m_bTracking;        // the user drags the splitter edge

protected:
    virtual void PostNcDestroy();
    CXTPDockingPane* GetSelectedPane() const;
    CXTPDockingPaneManager* GetManager() const;
    // The leave check of timer 1.
    void CheckLeave();
    void TrackLive(CPoint ptScreen, int nMinExtent, int nMaxExtent);

    afx_msg void OnClose();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnPaint();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()
};

class CXTPDockingPaneAutoHidePanel : public CWnd, public CXTPDockingPaneBaseContainer
{
public:
    // One tab group: the tabs of one tabbed container.
    class CAutoHidePanelTabManager : public CXTPTabManager
    {
    public:
        explicit CAutoHidePanelTabManager(CXTPDockingPaneAutoHidePanel* pPanel) : m_pPanel(pPanel) {}
        virtual CXTPTabPaintManager* GetPaintManager() const;
        virtual void RedrawControl(LPCRECT lpRect, BOOL bAnimate);
        virtual BOOL DrawIcon(CDC* pDC, CPoint pt, CXTPTabManagerItem* pItem, BOOL bDraw, CSize& szIcon) const;
        virtual XTPTabPosition GetPosition() const;
        virtual void Reposition();

        CXTPDockingPaneAutoHidePanel* m_pPanel;
    };
    class CAutoHidePanelTabManagersArray : public CArray<CAutoHidePanelTabManager*, CAutoHidePanelTabManager*>
    {
    public:
        ~CAutoHidePanelTabManagersArray() { RemoveAllManagers(); }
        void RemoveAllManagers();
    };
    // Drag-over of another program's data: a tab opens its pane.
    class CPanelDropTarget : public COleDropTarget
    {
    public:
        explicit CPanelDropTarget(CXTPDockingPaneAutoHidePanel* pPanel) : m_pPanel(pPanel) {}
        virtual DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
        CXTPDockingPaneAutoHidePanel* m_pPanel;
    };

    explicit CXTPDockingPaneAutoHidePanel(CXTPDockingPaneLayout* pLayout);
    virtual ~CXTPDockingPaneAutoHidePanel();

    XTPDockingPaneDirection GetDirection() const { return m_direction; }
    void SetDirection(XTPDockingPaneDirection direction) { m_direction = direction; }

    // The frame layout: the panel takes its strip along its edge from the
    // frame's remaining rectangle (a hidden panel takes none).
    virtual void RepositionPanel(CWnd* pParent, CRect& rect, LPVOID lParam);
    // Adds a tabbed container as a new group.
    virtual void AddPane(CXTPDockingPaneBase* pContainer);
    virtual BOOL Create(CWnd* pParent);

    // Opens a pane of the panel in a slide-out window (closing the open ones).
    void ShowPane(CXTPDockingPane* pPane, BOOL bSetFocus);
    // Slides the open window back in (bDelayed: closes it a moment later).
    void ClosePane(BOOL bDelayed = FALSE);
    // Closes the open slide-out window at once, whatever the settings.
    void CloseActiveWindow();
    CXTPDockingPaneAutoHideWnd* GetActiveWnd() const { return m_pActiveWnd; }
    void OnActiveWndDestroyed(CXTPDockingPaneAutoHideWnd* pWnd);
    // The panel thickness across its edge.
    int GetPanelThickness();
    // The pane of the tab under a point of the panel's client area.
    CXTPDockingPane* HitTest(CPoint point) const;
    int GetGroupCount() const { return (int)m_arrTabManagers.GetSize(); }
    CXTPTabManager* GetGroup(int nIndex) const { return m_arrTabManagers[nIndex]; }
    // Lays the tab groups out in the panel's client rectangle.
    void RepositionTabs();
    BOOL IsHorizontal() const { return m_direction == xtpPaneDockTop || m_direction == xtpPaneDockBottom; }
    // Draws the panel's face and tabs.
    void DrawPanel(CDC* pDC, CRect rc);

    // CXTPDockingPaneBase
    virtual void Invalidate();
    virtual HWND GetPaneHwnd() const { return m_hWnd; }
    virtual void RemovePane(CXTPDockingPaneBase* pPane);
    virtual void OnSizeParent(CWnd* pParent, CRect rect, LPVOID lParam);
    virtual void OnChildContainerChanged(CXTPDockingPaneBase* pChild);
    virtual void OnChildVisibilityChanged(CXTPDockingPaneBase* pChild);
    virtual CXTPDockingPaneBase* Clone(CXTPDockingPaneLayout* pLayout, CXTPPaneToPaneMap* pMap,
                                       DWORD dwIgnoredOptions = 0);
    virtual BOOL DoPropExchange(CXTPPropExchange* pPX);
    virtual void Release() { InternalRelease(); }

    virtual void OnFinalRelease();

public:
    CXTPDockingPaneAutoHideWnd* m_pActiveWnd;
    XTPDockingPaneDirection m_direction;
    CAutoHidePanelTabManagersArray m_arrTabManagers;
    CPanelDropTarget* m_pDropTarget;
    CRect m_rcFrameRect;
    BOOL m_bRepositioning;   // the tab groups are being laid out

protected:
    virtual void PostNcDestroy() {}
    // The pane shown in the open slide-out window, or null.
    CXTPDockingPane* GetShownPane() const;

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnMouseLeave();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseHover(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()
};
