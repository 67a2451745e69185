// Tabbed MDI client: the MDI client window of a frame whose MDI children are
// shown as tabs, grouped into workspaces (tab groups). Each workspace is a
// tab strip whose items carry the child windows' handles. The command bars
// recognise the window by its runtime class, refresh it after option
// changes and ask it which tab-group commands are available.
#pragma once

#include "XTPTabPaintManager.h"

class CXTPCommandBars;

// Tab-group commands.
#define XTP_ID_WORKSPACE_MOVEPREVIOUS 9155
#define XTP_ID_WORKSPACE_MOVENEXT 9156
#define XTP_ID_WORKSPACE_NEWHORIZONTAL 9157
#define XTP_ID_WORKSPACE_NEWVERTICAL 9158

class CXTPTabClientWnd : public CWnd
{
    DECLARE_DYNAMIC(CXTPTabClientWnd)
public:
    // One tab group. Its strip lies along the top of its part of the client.
    class CWorkspace : public CXTPTabManager
    {
    public:
        explicit CWorkspace(CXTPTabClientWnd* pClient) : m_pClient(pClient), m_rcWorkspace(0, 0, 0, 0) {}

        virtual void Reposition();
        virtual CXTPTabPaintManager* GetPaintManager() const { return m_pClient->GetPaintManager(); }
        virtual void RedrawControl(LPCRECT lpRect, BOOL bAnimate);
        virtual BOOL DrawIcon(CDC* pDC, CPoint pt, CXTPTabManagerItem* pItem, BOOL bDraw, CSize& szIcon) const;
        virtual void OnSelectItem(CXTPTabManagerItem* pItem);

        CXTPTabClientWnd* m_pClient;
        CRect m_rcWorkspace;   // its part of the client, in client coordinates
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

    CXTPTabPaintManager* GetPaintManager() const { return m_pPaintManager; }

    // Overridables.
    // Brings the items in step with the MDI children and lays the groups out.
    virtual void UpdateContents();
    virtual CXTPCommandBars* GetCommandBars() { return NULL; }

public:
    CArray<CWorkspace*, CWorkspace*> m_arrWorkspace;
    CMDIFrameWnd* m_pParentFrame;
    BOOL m_bRefreshing;
    BOOL m_bHorizSplitting;   // the groups were made by horizontal grouping
    BOOL m_bEnableGroups;     // several groups inside this window

protected:
    void LayoutWorkspaces();

    CXTPTabPaintManager* m_pPaintManager;

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()
};
