// The auto-hide panel of one edge of the docking area: the tabbed
// containers of the panes hidden to that edge, each one tab group. The
// layout keeps up to four of them and stores each one's "Direction".
#pragma once

#include "XTPDockingPaneBase.h"

class CXTPDockingPaneAutoHidePanel : public CWnd, public CXTPDockingPaneBaseContainer
{
public:
    explicit CXTPDockingPaneAutoHidePanel(CXTPDockingPaneLayout* pLayout);
    virtual ~CXTPDockingPaneAutoHidePanel();

    XTPDockingPaneDirection GetDirection() const { return m_direction; }
    void SetDirection(XTPDockingPaneDirection direction) { m_direction = direction; }

    // Adds a tabbed container as a new group.
    virtual void AddPane(CXTPDockingPaneBase* pContainer);
    // Opens a pane of the panel; closes the open one. The slide-out window
    // that shows it belongs to the panel's window.
    virtual void ShowPane(CXTPDockingPane* pPane, BOOL bSetFocus);
    virtual void ClosePane(BOOL bDelayed = FALSE);
    // The frame layout: the panel takes its strip along its edge from the
    // frame's remaining rectangle (a hidden panel takes none).
    virtual void RepositionPanel(CWnd* pParent, CRect& rect, LPVOID lParam);

    // CXTPDockingPaneBase
    virtual void Invalidate();
    virtual HWND GetPaneHwnd() const { return m_hWnd; }
    virtual void RemovePane(CXTPDockingPaneBase* pPane);
    virtual void OnSizeParent(CWnd* pParent, CRect rect, LPVOID lParam);
    virtual void OnChildContainerChanged(CXTPDockingPaneBase* pChild);
    virtual CXTPDockingPaneBase* Clone(CXTPDockingPaneLayout* pLayout, CXTPPaneToPaneMap* pMap,
                                       DWORD dwIgnoredOptions = 0);
    virtual BOOL DoPropExchange(CXTPPropExchange* pPX);
    virtual void Release() { InternalRelease(); }

    virtual void OnFinalRelease();

public:
    XTPDockingPaneDirection m_direction;

protected:
    virtual void PostNcDestroy() {}
};
