// The property grid's view: an owner-drawn list box whose rows are the shown
// items (categories and, under expanded parents, their children). It owns the
// categories, keeps one of three sort modes, places the divider between the
// caption and value columns, turns input into item operations and shows a
// tooltip for truncated captions and values.
#pragma once

#include "XTPPropertyGridItem.h"

class CXTPPropertyGrid;
class CXTPPropertyGridPaintManager;
class CXTPImageManager;

// The tooltip of a truncated caption or value.
class CXTPPropertyGridToolTip : public CWnd
{
public:
    CXTPPropertyGridToolTip();

    void Create(CXTPPropertyGridView* pParentWnd);
    void Activate(BOOL bActive, CXTPPropertyGridItem* pItem, BOOL bValuePart);

protected:
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    DECLARE_MESSAGE_MAP()

    // While shown, the tip checks that it is still wanted this often.
    enum { kCheckTimer = 1, kCheckMilliseconds = 200 };

    CXTPPropertyGridView* m_pGrid;
    CFont m_fnt;

    friend class CXTPPropertyGridView;
};

class CXTPPropertyGridView : public CListBox, public CXTPAccessible
{
public:
    CXTPPropertyGridView();
    virtual ~CXTPPropertyGridView();

    CXTPPropertyGridPaintManager* GetPaintManager() const;
    CXTPImageManager* GetImageManager() const;
    CXTPPropertyGrid* GetGrid() const { return m_pGrid; }

    CXTPPropertyGridItem* InsertCategory(int nIndex, LPCTSTR lpszCaption, CXTPPropertyGridItem* pCategory = NULL);
    CXTPPropertyGridItem* AddCategory(LPCTSTR lpszCaption, CXTPPropertyGridItem* pCategory = NULL);
    CXTPPropertyGridItems* GetCategories() const { return m_pCategories; }

    // Inserts the item's row (and those of its expanded children) at the
    // row; the number of rows added.
    int InsertItem(CXTPPropertyGridItem* pItem, int nIndex);
    // Removes the rows after the item that descend from it.
    void RemoveChildren(CXTPPropertyGridItem* pItem);
    void RefreshIndexes();

    CXTPPropertyGridItem* GetItem(int nIndex) const;
    CXTPPropertyGridItem* GetSelectedItem();
    CXTPPropertyGridItem* ItemFromPoint(CPoint point) const;
    void ToggleExpandState(int nIndex);
    void SetFocusedButton(CXTPPropertyGridInplaceButton* pButton);
    CXTPPropertyGridInplaceButton* GetFocusedButton() const { return m_pFocusedButton; }
    CXTPPropertyGridInplaceButton* GetHotButton() const { return m_pHotButton; }
    void SetHotButton(CXTPPropertyGridInplaceButton* pButton) { m_pHotButton = pButton; }
    // A button leaving its item is no longer the hot or the focused button.
    void ForgetButton(CXTPPropertyGridInplaceButton* pButton)
    {
        if (m_pHotButton == pButton)
            m_pHotButton = NULL;
        if (m_pFocusedButton == pButton)
            m_pFocusedButton = NULL;
    }

    int GetDividerPos() const;
    void SetDividerPos(int nDivider);
    BOOL IsDividerProportional() const { return m_bVariableSplitterPos; }
    void LockDivider(BOOL bLock = TRUE) { m_bDividerMovable = !bLock; }
    BOOL IsDividerMovable() const { return m_bDividerMovable; }

    int GetSortMode() const { return m_properetySort; }
    void SetSortMode(int nSort, BOOL bKeepTop = FALSE, BOOL bRedraw = TRUE);
    // Deselects and empties the rows; sets the font and the default row height.
    void Refresh();
    // The end of an update lock: renumbers and refills.
    void EndUpdate();
    int GetDefaultItemHeight() const { return m_nItemHeight; }
    BOOL IsLocked() const { return m_nLockUpdate > 0; }
    void LockUpdate() { m_nLockUpdate++; }
    void UnlockUpdate() { m_nLockUpdate--; }

    // The selection handling: deselect the old, select the current row's item.
    void OnSelectionChanged();

    LRESULT SendNotifyMessage(WPARAM wParam, LPARAM lParam = 0);

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    virtual int CompareItem(LPCOMPAREITEMSTRUCT) { return 0; }
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    // Accessibility.
    virtual CCmdTarget* GetAccessibleCmdTarget() { return this; }
    virtual DWORD InternalQueryInterface(const void* iid, LPVOID* ppvObj)
    {
        return XTPPropertyGridQueryAccessible(this, iid, ppvObj);
    }
    virtual HRESULT GetAccessibleParent(IDispatch** ppdispParent);
    virtual HRESULT GetAccessibleChildCount(long* pcountChildren);
    virtual HRESULT GetAccessibleChild(VARIANT varChild, IDispatch** ppdispChild);
    virtual HRESULT GetAccessibleName(VARIANT varChild, BSTR* pszName);
    virtual HRESULT GetAccessibleRole(VARIANT varChild, VARIANT* pvarRole);
    virtual HRESULT GetAccessibleState(VARIANT varChild, VARIANT* pvarState);
    virtual HRESULT AccessibleLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight,
                                       VARIANT varChild);
    virtual HRESULT AccessibleHitTest(long xLeft, long yTop, VARIANT* pvarChild);

    // The tooltip's text and rectangle; used by the tooltip window and tests.
    CString GetToolTipText() const { return m_strTipText; }
    CXTPPropertyGridToolTip& GetToolTip() { return m_wndTip; }
    BOOL IsDividerDragging() const { return m_bTracking; }

protected:
    // The tooltip check run on mouse moves.
    void ShowToolTip(CPoint pt);
    void HideToolTip();
    void HideToolTipOnMessage(UINT message);
    // TRUE while the program is the one in front, the pointer lies in the
    // shown tip's place and the view is what shows there: a tip shows and
    // stays only then.
    BOOL IsToolTipWanted() const;
    // TRUE when this view (or a control in it) is the window shown under the
    // screen point, not covered there by another window.
    BOOL IsUnderPointer(CPoint ptScreen) const;
    // Scrolls through the default handling and moves the floating children along.
    void ScrollWithChildren(UINT message, WPARAM wParam, LPARAM lParam);
    // Presses the combo button of the selected item when it has one.
    BOOL PressSelectedComboButton();
    BOOL IsDividerZone(CPoint point) const;

    afx_msg void OnPaint();
    afx_msg void OnNcPaint();
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSysKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg UINT OnGetDlgCode();
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg LRESULT OnMouseLeave(WPARAM, LPARAM);
    afx_msg LRESULT OnGetObject(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnSelectionChangedReflect();
    DECLARE_MESSAGE_MAP()

    CXTPPropertyGrid* m_pGrid;
    BOOL m_bTracking;
    CRect m_rcToolTip;
    double m_dDivider;
    BOOL m_bVariableSplitterPos;
    HCURSOR m_hCursor;
    CString m_strTipText;
    int m_properetySort;
    CXTPPropertyGridItem* m_pSelected;
    CXTPPropertyGridItems* m_pCategories;
    CXTPPropertyGridToolTip m_wndTip;
    int m_nLockUpdate;
    int m_nItemHeight;
    BOOL m_bDividerMovable;
    CXTPPropertyGridInplaceButton* m_pFocusedButton;
    CXTPPropertyGridInplaceButton* m_pHotButton;
    int m_nPaintCount;            // the row count while OnPaint draws the rows, -1 otherwise
    // The memory DC the view is drawn into, kept from paint to paint and made
    // again when the client size changes (the bitmap before the DC: the DC
    // goes first).
    CBitmap m_bmpPaintBuffer;
    CDC m_dcPaintBuffer;
    CSize m_szPaintBuffer;
    HGDIOBJ m_hOldPaintBitmap;
    CDC* GetPaintBuffer(CDC& dcPaint, CSize szClient);

    friend class CXTPPropertyGrid;
    friend class CXTPPropertyGridItem;
    friend class CXTPPropertyGridItems;
    friend class CXTPPropertyGridToolTip;
};
