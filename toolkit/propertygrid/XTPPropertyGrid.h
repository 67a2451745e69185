// The property grid window: from top to bottom an optional toolbar with the
// two sort buttons, the item view, an optional verb pane and the help pane,
// each pane under a 3-pixel splitter band. It owns the paint manager, the
// image manager and the shared in-place edit and list, and it is the one
// sender of the grid notification to its owner.
#pragma once

#include <afxext.h>

#include "XTPPropertyGridView.h"
#include "XTPPropertyGridInplaceControls.h"
#include "XTPPropertyGridPaintManager.h"

class CXTPPropertyGrid;
class CXTPImageManager;

// A link in the verb pane.
class CXTPPropertyGridVerb : public CCmdTarget
{
public:
    CXTPPropertyGridVerb() : m_nID(0), m_nIndex(-1), m_pVerbs(NULL) { m_rcPart.SetRectEmpty(); m_ptClick = CPoint(0, 0); }

    CString GetCaption() const { return m_strCaption; }
    UINT GetID() const { return m_nID; }
    int GetIndex() const { return m_nIndex; }
    CRect GetPart() const { return m_rcPart; }
    void SetPart(CRect rc) { m_rcPart = rc; }
    CPoint GetClickPoint() const { return m_ptClick; }
    BOOL IsFocused() const;

    CString m_strCaption;
    UINT m_nID;
    int m_nIndex;
    CRect m_rcPart;
    CPoint m_ptClick;
    class CXTPPropertyGridVerbs* m_pVerbs;
};

class CXTPPropertyGridVerbs : public CCmdTarget
{
public:
    CXTPPropertyGridVerbs();
    virtual ~CXTPPropertyGridVerbs();

    // Adds a verb; the grid lays out again when it is the first.
    CXTPPropertyGridVerb* Add(LPCTSTR lpszCaption, UINT nID);
    void RemoveAll();
    int GetCount() const { return (int)m_arrVerbs.GetSize(); }
    BOOL IsEmpty() const { return GetCount() == 0; }
    CXTPPropertyGridVerb* GetAt(int nIndex) const;

    CXTPPropertyGrid* m_pGrid;

private:
    CArray<CXTPPropertyGridVerb*, CXTPPropertyGridVerb*> m_arrVerbs;
};

// The toolbar of the two sort buttons.
class CXTPPropertyGridToolBar : public CToolBar
{
public:
    CXTPPropertyGridToolBar();

    // The sort buttons are the grid's own commands: the frame's idle update
    // may steer them through handlers of its own, but never disables them
    // for want of one.
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler);

protected:
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg void OnNcPaint() {}
    DECLARE_MESSAGE_MAP()
};

class CXTPPropertyGrid : public CWnd
{
public:
    CXTPPropertyGrid();
    virtual ~CXTPPropertyGrid();

    // --- Virtual operations -------------------------------------------------
    virtual BOOL Create(const RECT& rect, CWnd* pParentWnd, UINT nID, DWORD dwListStyle = 0);
    virtual CXTPPropertyGridView* CreateView() const;
    virtual void OnVerbClick(int nIndex, CPoint pt);
    // Moves the keyboard focus from a position of the grid (see
    // XTPPropertyGridNavigate) forward or backward.
    virtual void OnNavigate(int nCurrentPos, BOOL bForward, CXTPPropertyGridItem* pItem = NULL);
    virtual LRESULT SendNotifyMessage(WPARAM wParam, LPARAM lParam = 0);
    virtual void Reposition(int cx, int cy);
    // 1 the help band, 2 the verb band, 3 + n verb n, -1 anything else.
    virtual int HitTest(CPoint pt);
    virtual void OnSelectionChanged(CXTPPropertyGridItem* pItem);
    virtual void OnSortChanged();

    // --- Content -------------------------------------------------------------
    CXTPPropertyGridView& GetGridView();
    CXTPPropertyGridItem* AddCategory(UINT nID);
    CXTPPropertyGridItem* AddCategory(LPCTSTR lpszCaption, CXTPPropertyGridItem* pCategory = NULL);
    CXTPPropertyGridItem* InsertCategory(int nIndex, LPCTSTR lpszCaption, CXTPPropertyGridItem* pCategory = NULL);
    CXTPPropertyGridItems* GetCategories() { return GetGridView().GetCategories(); }
    CXTPPropertyGridItem* GetSelectedItem();
    CXTPPropertyGridItem* FindItem(UINT nID);
    CXTPPropertyGridItem* FindItem(LPCTSTR lpszCaption);
    void ResetContent();
    int GetCount() { return GetGridView().GetCount(); }
    CXTPPropertyGridItem* GetItem(int nIndex) { return GetGridView().GetItem(nIndex); }

    // --- Look ----------------------------------------------------------------
    void ShowHelp(BOOL bShow = TRUE);
    BOOL IsHelpVisible() const { return m_bHelpVisible; }
    void SetHelpHeight(int nHeight) { m_nHelpHeight = nHeight; RecalcLayout(); }
    int GetHelpHeight() const { return m_nHelpHeight; }
    void SetVerbsHeight(int nHeight) { m_nVerbsHeight = nHeight; RecalcLayout(); }
    int GetVerbsHeight() const { return m_nVerbsHeight; }
    BOOL IsHelpSplitterEnabled() const { return m_bHelpSplitter; }
    void EnableHelpSplitter(BOOL bEnable) { m_bHelpSplitter = bEnable; }
    // Creates the toolbar of the sort buttons from resource 9500 and shows it.
    void ShowToolBar(BOOL bShow = TRUE);
    BOOL IsToolBarVisible() const { return m_bToolBarVisible; }
    CXTPPropertyGridToolBar& GetToolBar() { return m_wndToolbar; }
    void SetTheme(int nTheme);
    int GetCurrentTheme() const { return m_themeCurrent; }
    void SetCustomTheme(CXTPPropertyGridPaintManager* pPaintManager);
    CXTPPropertyGridPaintManager* GetPaintManager() const { return m_pPaintManager; }
    void SetCustomColors(COLORREF clrHelpBack, COLORREF clrHelpFore, COLORREF clrViewLine, COLORREF clrViewBack,
                         COLORREF clrViewFore, COLORREF clrCategoryFore);
    void RefreshMetrics();
    void RecalcLayout();
    void RedrawControl();
    CXTPImageManager* GetImageManager() const { return m_pImageManager; }
    int GetBorderStyle() const { return m_nBorderStyle; }
    void SetBorderStyle(int nStyle);
    void HighlightChangedItems(BOOL bHighlight = TRUE) { m_bHighlightChanged = bHighlight; RedrawControl(); }
    BOOL IsHighlightChangedItems() const { return m_bHighlightChanged; }
    void SetShowInplaceButtonsAlways(BOOL bShow) { m_bShowInplaceButtonsAlways = bShow; RedrawControl(); }
    BOOL GetShowInplaceButtonsAlways() const { return m_bShowInplaceButtonsAlways; }
    void NavigateItems(BOOL bTabItems) { m_bTabItems = bTabItems; }
    BOOL IsNavigateItems() const { return m_bTabItems; }
    void SetVariableItemsHeight(BOOL bVariable) { m_bVariableItemsHeight = bVariable; }
    BOOL IsVariableItemsHeight() const { return m_bVariableItemsHeight; }
    int GetPropertySort() { return GetGridView().GetSortMode(); }
    void SetPropertySort(int nSort) { GetGridView().SetSortMode(nSort, FALSE, TRUE); }

    // --- Verbs ---------------------------------------------------------------
    CXTPPropertyGridVerbs* GetVerbs() const { return m_pVerbs; }
    int GetFocusedVerb() const { return m_nFocusedVerb; }
    BOOL IsVerbsVisible() const { return m_bVerbsVisible; }
    void OnVerbsChanged();

    // --- Shared in-place controls --------------------------------------------
    CXTPPropertyGridInplaceEdit& GetInplaceEdit() { return *m_pInplaceEdit; }
    CXTPPropertyGridInplaceList& GetInplaceList() { return *m_pInplaceListBox; }

    // The top of the help band while it is dragged, clamped to at least 45
    // and at most nLimit - 20.
    static int AFX_CDECL ClampSplitterTop(int y, int nLimit);
    // The rectangles of the panes (client coordinates).
    CRect GetHelpRect();
    CRect GetVerbsRect();

    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    virtual void PreSubclassWindow();

protected:
    BOOL CreateViewWindow(DWORD dwListStyle);
    // The private loop of a splitter drag (band 1 help, 2 verbs).
    void TrackSplitter(int nHit, CPoint point);
    // The next or previous tab stop of the dialog around the grid (not the grid).
    CWnd* GetNextTabWindow(BOOL bForward);
    // TRUE when the visible view window covers the whole client area.
    BOOL IsClientCoveredByView();

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnSysColorChange();
    afx_msg UINT OnGetDlgCode();
    afx_msg void OnSortCategorized();
    afx_msg void OnSortAlphabetic();
    afx_msg BOOL OnToolTipText(UINT id, NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

    int m_nHelpHeight;
    int m_nVerbsHeight;
    BOOL m_bHelpVisible;
    BOOL m_bHelpSplitter;
    BOOL m_bToolBarVisible;
    CXTPPropertyGridToolBar m_wndToolbar;
    HCURSOR m_hCursorSplit;
    HCURSOR m_hCursorHand;
    BOOL m_bTabItems;
    CXTPPropertyGridVerbs* m_pVerbs;
    BOOL m_bVerbsVisible;
    int m_themeCurrent;
    CXTPPropertyGridPaintManager* m_pPaintManager;
    int m_nFocusedVerb;
    mutable CXTPPropertyGridView* m_pView;
    BOOL m_bHighlightChanged;
    CXTPImageManager* m_pImageManager;
    BOOL m_bVariableItemsHeight;
    BOOL m_bPreSubclassWindow;
    CXTPPropertyGridInplaceEdit* m_pInplaceEdit;
    CXTPPropertyGridInplaceList* m_pInplaceListBox;
    BOOL m_bShowInplaceButtonsAlways;
    CRect m_rectTracker;
    BOOL m_bInternalFocus;
    int m_nBorderStyle;

    friend class CXTPPropertyGridView;
    friend class CXTPPropertyGridPaintManager;
};
