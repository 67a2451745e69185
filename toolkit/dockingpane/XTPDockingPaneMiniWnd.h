// The floating mini window: a small frame window holding one splitter
// container (its top container) whose tabbed containers hold the floating
// panes. It keeps its rectangle, its rolled-up state and its top container
// in the stored layout.
#pragma once

#include "XTPDockingPaneBase.h"

class CXTPDockingPaneMiniWnd : public CMiniFrameWnd, public CXTPDockingPaneBase
{
    DECLARE_DYNAMIC(CXTPDockingPaneMiniWnd)
public:
    explicit CXTPDockingPaneMiniWnd(CXTPDockingPaneLayout* pLayout);
    virtual ~CXTPDockingPaneMiniWnd();

    // Sets the window up with a pane or a container at a screen rectangle.
    void Init(CXTPDockingPaneBase* pPane, CRect rc);
    // Creates the window at a screen rectangle kept within the work area.
    virtual BOOL Create(CRect rc);
    // Copies another mini window (used by Clone).
    virtual void Copy(CXTPDockingPaneMiniWnd* pSource, CXTPPaneToPaneMap* pMap);

    CXTPDockingPaneSplitterContainer* GetTopPane() const { return m_pTopContainer; }
    void SetTopPane(CXTPDockingPaneSplitterContainer* pContainer);
    BOOL IsCollapsed() const { return m_bCollapsed; }
    BOOL IsActive() const { return m_bActive; }
    CRect GetStoredRect() const { return m_rcStored; }
    int GetExpandedHeight() const { return m_nExpandedHeight; }

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
    virtual void Release() { InternalRelease(); }

    virtual void RecalcLayout(BOOL bNotify = TRUE);
    virtual void OnFinalRelease();

public:
    BOOL m_bActive;
    CRect m_rcStored;   // screen rectangle, kept when the window goes
    CXTPDockingPaneSplitterContainer* m_pTopContainer;
    int m_nExpandedHeight;
    BOOL m_bCollapsed;
    BOOL m_bInRecalcLayout;

protected:
    virtual void PostNcDestroy() {}
    void UpdateWindowTitle();

    afx_msg void OnClose();
    afx_msg void OnDestroy();
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};
