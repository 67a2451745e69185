// A docking layout: the tree of panes and containers that fills a frame,
// with the record of where each pane was docked, floated and last shown.
// The manager's live layout has windows; saved layouts do not. A layout is
// copied, checked, stored and read through the property exchange.
#pragma once

#include "XTPDockingPaneBase.h"

// Where a pane was docked, floated and last shown.
struct XTP_DOCKINGPANE_INFO
{
    XTP_DOCKINGPANE_INFO(CXTPDockingPane* pPaneIn = NULL)
        : pPane(pPaneIn), pFloatingHolder(NULL), pDockingHolder(NULL), pLastHolder(NULL) {}

    CXTPDockingPane* pPane;
    CXTPDockingPaneBase* pFloatingHolder;
    CXTPDockingPaneBase* pDockingHolder;
    CXTPDockingPaneBase* pLastHolder;
};

typedef CList<XTP_DOCKINGPANE_INFO, XTP_DOCKINGPANE_INFO&> CXTPDockingPaneInfoList;

// A stored layout with more objects than this, or objects nested deeper
// than this, is refused: a player's layouts stay far below both, and the
// arrangement is walked recursively once it is applied.
#define XTP_DOCKINGPANE_MAX_STORED_OBJECTS 256
#define XTP_DOCKINGPANE_MAX_STORED_DEPTH 64
// Each floating window is a window of its own, made when the layout is
// applied; a stored layout with more of them than this is refused.
#define XTP_DOCKINGPANE_MAX_STORED_FLOATING 16

class CXTPDockingPaneLayout : public CCmdTarget
{
public:
    explicit CXTPDockingPaneLayout(CXTPDockingPaneManager* pManager);
    virtual ~CXTPDockingPaneLayout();

    // A top splitter container without parent, a client container and a manager.
    BOOL IsValid() const;
    void Clear();
    void Copy(const CXTPDockingPaneLayout* pLayout);

    // Stores (TRUE), or reads and answers whether the stored layout was
    // sound. Archive errors pass as the class library's exceptions.
    BOOL DoPropExchange(CXTPPropExchange* pPX);
    virtual void Serialize(CArchive& ar);
    // The subsection lpszSection of "DockingPaneLayouts" in the profile.
    BOOL LoadFromProfile(LPCTSTR lpszSection);
    void SaveToProfile(LPCTSTR lpszSection);

    void RemoveEmptyContainers();
    void DestroyPane(CXTPDockingPane* pPane);
    // The frame side an object lies on (0-3), 4 for a floating one, -1 for
    // none (the client, or an object without parent).
    int GetPaneDirection(const CXTPDockingPaneBase* pPane) const;
    void HideToAutoHide(CXTPDockingPaneBase* pPane);
    // Lays the docking area out in the frame's remaining rectangle.
    void OnSizeParent(CWnd* pParent, CRect rect, LPVOID lParam);

    CXTPDockingPaneInfoList& GetPaneList() { return m_lstPanes; }
    const CXTPDockingPaneInfoList& GetPaneList() const { return m_lstPanes; }
    CXTPDockingPaneBaseList& GetObjects() { return m_lstStack; }
    CXTPDockingPaneSplitterContainer* GetTopPane() const { return m_pTopContainer; }
    CXTPDockingPaneBase* GetClientPane() const { return m_pClient; }
    CXTPDockingPaneAutoHidePanel* GetAutoHidePanel(int nSide) const
    {
        return nSide >= 0 && nSide < 4 ? m_wndPanels[nSide] : NULL;
    }
    CXTPDockingPaneManager* GetManager() const { return m_pManager; }
    BOOL IsUserLayout() const { return m_bUserLayout; }
    void SetUserLayout(BOOL bUserLayout) { m_bUserLayout = bUserLayout; }
    XTP_DOCKINGPANE_INFO* FindPaneInfo(const CXTPDockingPane* pPane);
    // Refreshes the pane records' holders from the current arrangement.
    void UpdateHolders();

    // Used by the objects themselves.
    void AddObject(CXTPDockingPaneBase* pPane) { m_lstStack.AddTail(pPane); }
    void RemoveObject(CXTPDockingPaneBase* pPane);
    // The object a stored number names while a layout is read (null for 0
    // or an unknown number).
    static CXTPDockingPaneBase* AFX_CDECL LookupObject(CXTPPropExchange* pPX, int nIndex);
    // Whether a container may take an object as its child while a layout is
    // read: the object exists, is not placed yet, is not the container and
    // is not one of its ancestors, and the container lies less than
    // XTP_DOCKINGPANE_MAX_STORED_DEPTH levels deep.
    static BOOL AFX_CDECL CanAdoptChild(const CXTPDockingPaneBase* pContainer, const CXTPDockingPaneBase* pChild);
    // Stores a panel as the one of its side while a layout is read; FALSE
    // when the side is not 0-3 or already taken.
    BOOL AssignAutoHidePanel(CXTPDockingPaneAutoHidePanel* pPanel);
    // TRUE when no object lies XTP_DOCKINGPANE_MAX_STORED_DEPTH or more
    // levels below the outermost one that holds it.
    BOOL CheckDepth() const;

public:
    CXTPDockingPaneSplitterContainer* m_pTopContainer;
    CXTPDockingPaneBase* m_pClient;
    CXTPDockingPaneInfoList m_lstPanes;
    CXTPDockingPaneBaseList m_lstStack;
    CXTPDockingPaneAutoHidePanel* m_wndPanels[4];
    CXTPDockingPaneSplitterWnd* m_wndMargins[4];
    BOOL m_bUserLayout;
    CXTPDockingPaneManager* m_pManager;

protected:
    void Save(CXTPPropExchange* pPX);
    BOOL Load(CXTPPropExchange* pPX);
    void DeleteMargins();
};
