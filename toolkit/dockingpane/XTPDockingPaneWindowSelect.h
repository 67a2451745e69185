// The window selector: a modal popup that lists the docking panes (tool
// windows) and the open document windows in columns. Tab, the arrows and
// the mouse pick one; releasing Ctrl or any other key accepts it, which
// shows the pane or activates the document.
#pragma once

#include "XTPDockingPaneDefines.h"

class CXTPDockingPaneWindowSelect : public CMiniFrameWnd
{
public:
    // One entry of the list.
    class CItem
    {
    public:
        enum ItemType
        {
            itemPane = 0,
            itemMDIChild = 1,
            itemFrame = 2
        };
        CItem() : rc(0, 0, 0, 0), pPane(NULL), hWndFrame(NULL), nIndex(0), nColumn(0), nRow(0), type(itemPane) {}

        CRect rc;
        CXTPDockingPane* pPane;
        HWND hWndFrame;
        int nIndex;
        int nColumn;
        int nRow;
        ItemType type;
    };
    struct CColumn
    {
        int nFirst;
        int nLast;
    };

    // Start modes: opened by Ctrl+Tab (documents) or Alt+F7 (tool windows).
    enum StartMode
    {
        startDocuments = 0,
        startToolWindows = 1
    };

    CXTPDockingPaneWindowSelect(CXTPDockingPaneManager* pManager, int nStartMode);
    virtual ~CXTPDockingPaneWindowSelect();

    // Runs the selector modally; FALSE when it had nothing to show.
    BOOL Show();
    // Builds the items, the columns and the first selection, and sizes the
    // window; FALSE without tool windows.
    BOOL Reposition();
    // The selector keys (Tab, arrows); other keys accept.
    void OnSelectorKey(UINT nChar);

    int GetItemCount() const { return (int)m_arrItems.GetSize(); }
    CItem* GetItem(int nIndex) const { return m_arrItems[nIndex]; }
    CItem* GetSelected() const { return m_pSelected; }
    void SetSelected(CItem* pItem);
    int GetColumnCount() const { return (int)m_arrColumns.GetSize(); }
    int GetFirstDocument() const { return m_nFirstFile; }
    int GetItemHeight() const { return m_nItemHeight; }
    CSize GetWindowSize() const { return m_szWindow; }
    CItem* HitTest(CPoint point) const;
    // The text shown for an item.
    CString GetItemCaption(const CItem* pItem) const;
    void DrawSelector(CDC* pDC, CRect rc);

public:
    CXTPDockingPaneManager* m_pManager;
    CArray<CItem*, CItem*> m_arrItems;
    CArray<CColumn, CColumn&> m_arrColumns;
    CItem* m_pSelected;
    HCURSOR m_hHandCursor;
    HCURSOR m_hArrowCursor;
    CString m_strActiveTools;
    CString m_strActiveFiles;
    CFont m_fnt;
    CFont m_fntBold;
    int m_nFirstFile;
    int m_nStartMode;

protected:
    virtual void PostNcDestroy() {}
    void DeleteItems();
    void AddDocuments(int nItemHeight);
    void DrawItem(CDC* pDC, CItem* pItem);
    HICON GetItemIcon(const CItem* pItem) const;
    CDocument* GetItemDocument(const CItem* pItem) const;

    int m_nItemHeight;
    CSize m_szWindow;

    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnPaint();
    afx_msg LRESULT OnFloatStatus(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};
