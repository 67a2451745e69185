// Tabbed MDI client: the MDI client window of a frame whose MDI children are
// shown as tabs, grouped into workspaces (tab groups). Each workspace is a
// tab strip whose items carry the child windows' handles. The command bars
// recognise the window by its runtime class, refresh it after option
// changes and ask it which tab-group commands are available; the frame
// routes those commands (9155-9158) to it.
//
// The strip of the first row of groups lies in the client window's
// non-client area, above its client area, so that the system's MDI layout
// (maximise, cascade, tile, arrange) keeps the children below the tabs.
// With several groups each child fills the part of the client its group
// leaves below its strip and stays there: while the groups last a child
// cannot be moved, sized, minimised or maximised (its caption buttons and
// sizing border are taken, Move leaves its system menu, and those system
// commands have no effect), and the arrangement commands (cascade, tile,
// arrange icons) are not offered. A child that filled its group's room
// keeps filling the room its group has when the groups change or the window
// is resized, also after it was maximised or minimised and restored.
#pragma once

#include "XTPTabPaintManager.h"
#include <XTPHookManager.h>
#include <XTPTabClientTarget.h>

#include <map>

class CXTPCommandBars;
class CXTPToolTipContext;

// Tab-group commands.
#define XTP_ID_WORKSPACE_MOVEPREVIOUS 9155
#define XTP_ID_WORKSPACE_MOVENEXT 9156
#define XTP_ID_WORKSPACE_NEWHORIZONTAL 9157
#define XTP_ID_WORKSPACE_NEWVERTICAL 9158

class CXTPTabClientWnd : public CWnd, public CXTPTabClientTarget
{
    DECLARE_DYNAMIC(CXTPTabClientWnd)
public:
    // One tab group. Its strip lies along the top of its part of the client.
    class CWorkspace : public CXTPTabManager
    {
    public:
        explicit CWorkspace(CXTPTabClientWnd* pClient);

        virtual void Reposition();
        virtual CXTPTabPaintManager* GetPaintManager() const { return m_pClient->GetPaintManager(); }
        virtual void RedrawControl(LPCRECT lpRect, BOOL bAnimate);
        virtual BOOL DrawIcon(CDC* pDC, CPoint pt, CXTPTabManagerItem* pItem, BOOL bDraw, CSize& szIcon) const;
        virtual void OnSelectItem(CXTPTabManagerItem* pItem);
        // The close button closes the selected document.
        virtual void OnNavigateButtonClick(int nID);

        // The strip's rectangle (client coordinates; the first row's lies
        // above the client area, at negative y).
        CRect GetStripRect() const;
        // Where its children go: its part of the client below the strip.
        CRect GetDocumentRect() const;

        CXTPTabClientWnd* m_pClient;
        CRect m_rcWorkspace;   // its part of the window, in client coordinates
        // A key of its children (their windows, in order).
        DWORD_PTR GetChildrenKey() const;
        // The child last found in front of the group's other children, and
        // the key of the group's children then: while both hold, the order
        // of the windows needs no look.
        HWND m_hWndInFront;
        DWORD_PTR m_nChildrenKey;
        // The room all its children were last placed in (empty: none), and
        // the key of its children then.
        CRect m_rcFitted;
        DWORD_PTR m_nFittedKey;
    };

    CXTPTabClientWnd();
    virtual ~CXTPTabClientWnd();

    // Subclasses the frame's MDI client window.
    BOOL Attach(CMDIFrameWnd* pFrame, BOOL bEnableGroups);
    // Refreshes the contents, hover state and layout; not re-entered.
    void Refresh(BOOL bRecalcLayout = TRUE);
    // Whether a tab-group command (9155-9158) can run for the active child;
    // the child's item goes to ppItem when given.
    BOOL IsWorkspaceActionEnabled(UINT nID, CXTPTabManagerItem** ppItem = NULL);
    // Carries a tab-group command out for the active child; FALSE when it
    // does not apply.
    BOOL DoWorkspaceAction(UINT nID);

    int GetWorkspaceCount() const { return (int)m_arrWorkspace.GetSize(); }
    // An index outside the array raises the class library's invalid-argument exception.
    CWorkspace* GetWorkspace(int nIndex) const { return m_arrWorkspace.GetAt(nIndex); }
    int FindWorkspaceIndex(const CXTPTabManager* pWorkspace) const;
    // The first item of any workspace that carries the window.
    CXTPTabManagerItem* FindItem(HWND hWnd) const;
    // The MDI frame's active child.
    HWND MDIGetActive();
    // A new, empty tab group at the end.
    CWorkspace* AddWorkspace();
    // The height of a strip; 0 while no child has a tab.
    int GetStripHeight() const { return m_nStripHeight; }

    CXTPTabPaintManager* GetPaintManager() const { return m_pPaintManager; }
    CXTPToolTipContext* GetToolTipContext() const { return m_pToolTipContext; }

    // Overridables.
    // Brings the items in step with the MDI children and lays the groups out.
    virtual void UpdateContents();
    // The frame's command bars, or NULL.
    virtual CXTPCommandBars* GetCommandBars();

    // CXTPTabClientTarget
    virtual void RefreshClient(BOOL bRecalcLayout) { Refresh(bRecalcLayout); }
    virtual BOOL IsWorkspaceCommandEnabled(UINT nCommand) { return IsWorkspaceActionEnabled(nCommand); }

public:
    CArray<CWorkspace*, CWorkspace*> m_arrWorkspace;
    CMDIFrameWnd* m_pParentFrame;
    BOOL m_bRefreshing;
    BOOL m_bHorizSplitting;   // the groups were made by horizontal grouping
    BOOL m_bEnableGroups;     // several groups inside this window

protected:
    // Places the workspaces, their strips and (with several groups) their children.
    void LayoutWorkspaces();
    void MeasureStrip();
    void FitChildren();
    void RedrawStrips();
    void DrawStrips(CDC* pDC, BOOL bNonClient);
    CWorkspace* StripFromPoint(CPoint point) const;
    // Moves an item to another workspace (a new one at nWorkspace when
    // bInsert), dropping a workspace left empty.
    void MoveItem(CXTPTabManagerItem* pItem, int nWorkspace, BOOL bInsert);
    void RemoveWorkspace(int nIndex);
    // A fingerprint of the children, their titles and the active one: the
    // idle pass updates the tabs when it changes.
    CString GetChildrenState();
    CString FormatChildrenState(const CArray<HWND, HWND>& arrChildren, const CStringArray& arrTitles);
    void UpdateMouse(CPoint point);
    LRESULT OnMDINext(WPARAM wParam, LPARAM lParam);

    CXTPTabPaintManager* m_pPaintManager;
    CXTPToolTipContext* m_pToolTipContext;
    int m_nStripHeight;        // reserved above the client area
    BOOL m_bInLayout;
    CString m_strLastState;
    // Where the layout last placed each child (client coordinates): a child
    // still there (or back there on its restore) follows its group's room.
    CMap<HWND, HWND, CRect, const CRect&> m_mapFitted;

    // What a child gives up while there are several groups, to be given back.
    struct CPinnedChild
    {
        DWORD dwStyleTaken;   // caption boxes and sizing border taken away
        int nMovePosition;    // where Move stood in its system menu (-1: not taken)
        UINT nMoveFlags;
        CString strMove;
    };
    // Sees the system commands of the pinned children first.
    class CPinnedChildHook : public CXTPHookManagerHookAble
    {
    public:
        explicit CPinnedChildHook(CXTPTabClientWnd* pClient) : m_pClient(pClient) {}
        virtual int OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult);
        CXTPTabClientWnd* m_pClient;
    };
    std::map<HWND, CPinnedChild> m_mapPinned;
    CPinnedChildHook m_pinnedHook;

    BOOL HasGroups() const { return m_bEnableGroups && GetWorkspaceCount() > 1; }
    BOOL IsInHelpMode() const;
    // The help id of a point of a strip: the document's own for its tab.
    LRESULT HelpHitTest(CPoint point);
    // Keeps a child in its group's room; returns the SetWindowPos flag the
    // change of its frame needs (0 when it was pinned already).
    UINT PinChild(HWND hWndChild);
    // Gives the children back what they gave up while there were groups.
    void UnpinChildren();
    void UnpinChild(HWND hWndChild, const CPinnedChild& pinned);
    void RemoveMoveCommand(HWND hWndChild, HMENU hSysMenu);
    // WM_MDICREATE while there are groups.
    LRESULT CreatePinnedChild(const MDICREATESTRUCT& mcsAsked);
    // Keeps the group's selected child in front of the group's others.
    void KeepSelectedInFront(CWorkspace* pWorkspace);

    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const;

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    afx_msg void OnWorkspaceCommand(UINT nID);
    afx_msg void OnUpdateWorkspaceCommand(CCmdUI* pCmdUI);
    afx_msg void OnUpdateArrangeCommand(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()
};
