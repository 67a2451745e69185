// The gallery: a command-bar control (type 10) that shows a grid of items,
// with optional group labels, inside its own rectangle on a ribbon group or
// a popup bar. It scrolls with its own vertical scroll bar, or, when it has
// a drop-down popup, with a column of up, down and "more" buttons. While its
// style makes it a popup button it behaves as a plain popup control.
#pragma once

#include "XTPControlPopup.h"
#include "XTPControlComboBox.h"
#include "XTPScrollBase.h"

class CXTPControlGallery;
class CXTPControlGalleryItems;

// One entry of a gallery: a selectable item or, with the label flag, a
// group heading.
class CXTPControlGalleryItem : public CCmdTarget
{
public:
    CXTPControlGalleryItem();
    virtual ~CXTPControlGalleryItem();

    // The size of the item; a width of 0 takes the whole row. The default is
    // the collection's default item size (labels: the full width).
    virtual CSize GetSize();
    // Draws the item (labels through the gallery painter).
    virtual void Draw(CDC* pDC, CXTPControlGallery* pGallery, CRect rcItem, BOOL bEnabled, BOOL bSelected,
                      BOOL bPressed, BOOL bChecked);

    int GetID() const { return m_nId; }
    void SetID(int nId) { m_nId = nId; }
    int GetIndex() const { return m_nIndex; }
    BOOL IsLabel() const { return m_bLabel; }
    CString GetCaption() const { return m_strCaption; }
    void SetCaption(LPCTSTR lpszCaption) { m_strCaption = lpszCaption; }
    CString GetToolTip() const { return m_strToolTip; }
    void SetToolTip(LPCTSTR lpszToolTip) { m_strToolTip = lpszToolTip; }
    // A fixed size for this item (0, 0: the collection's default).
    void SetSize(CSize sz) { m_szItem = sz; }
    CXTPControlGalleryItems* GetItems() const { return m_pItems; }

public:
    int m_nId;
    int m_nIndex;
    BOOL m_bLabel;
    CString m_strCaption;
    CString m_strToolTip;
    CSize m_szItem;
    CXTPControlGalleryItems* m_pItems;   // not owned

    friend class CXTPControlGalleryItems;
};

// The items a gallery shows; reference counted and shared by the gallery
// and its clones (quick-access copies show the same items).
class CXTPControlGalleryItems : public CCmdTarget
{
public:
    CXTPControlGalleryItems();
    virtual ~CXTPControlGalleryItems();

    // Adds an item (or a label) and returns it; the collection owns it.
    CXTPControlGalleryItem* AddItem(LPCTSTR lpszCaption, int nId = -1);
    CXTPControlGalleryItem* AddItem(CXTPControlGalleryItem* pItem, int nId = -1);
    CXTPControlGalleryItem* AddLabel(LPCTSTR lpszCaption);
    void Remove(int nIndex);
    void RemoveAll();

    int GetItemCount() const { return (int)m_arrItems.GetSize(); }
    // NULL out of range.
    CXTPControlGalleryItem* GetItem(int nIndex) const;

    CSize GetItemSize() const { return m_szItem; }
    void SetItemSize(CSize szItem) { m_szItem = szItem; }
    // Redraw only the changed items rather than the whole control.
    BOOL IsClipItems() const { return m_bClipItems; }
    void ClipItems(BOOL bClip) { m_bClipItems = bClip; }

    // A draw hook: answers TRUE when it drew the item itself.
    virtual BOOL PreDrawItem(CDC* pDC, CXTPControlGallery* pGallery, CXTPControlGalleryItem* pItem, CRect rcItem,
                             BOOL bEnabled, BOOL bSelected, BOOL bPressed, BOOL bChecked);

protected:
    // Tells the galleries showing these items to lay out again.
    void OnItemsChanged();

public:
    CArray<CXTPControlGalleryItem*, CXTPControlGalleryItem*> m_arrItems;
    CSize m_szItem;
    BOOL m_bClipItems;
    CArray<CXTPControlGallery*, CXTPControlGallery*> m_arrGalleries;  // not owned

    friend class CXTPControlGallery;
};

class CXTPControlGallery : public CXTPControlPopup, public CXTPScrollBase
{
    DECLARE_DYNCREATE(CXTPControlGallery)
public:
    // Where one item lies in content coordinates.
    struct GALLERYITEM_POSITION
    {
        CRect rcItem;
        CXTPControlGalleryItem* pItem;
        BOOL bBeginRow;
    };

    CXTPControlGallery();
    virtual ~CXTPControlGallery();

    // The items (a reference is held; NULL: none).
    void SetItems(CXTPControlGalleryItems* pItems);
    CXTPControlGalleryItems* GetItems() const { return m_pItems; }
    int GetItemCount() const;
    CXTPControlGalleryItem* GetItem(int nIndex) const;

    // The control rectangle less the borders.
    CRect GetItemsRect() const;
    virtual void GetBorders(RECT* pRect) const;
    // The item under a client point among the laid-out rows; -1 for none or a label.
    int HitTestItem(CPoint point, LPRECT lpRect = NULL) const;
    // The item's rectangle shifted by the scroll offset and clipped to the
    // items rectangle; empty out of range.
    CRect GetItemDrawRect(int nIndex) const;

    void SetScrollPos(int nScrollPos);
    int GetScrollPos() const { return m_nScrollPos; }
    int GetContentHeight() const { return m_nTotalHeight; }
    void EnsureVisible(int nIndex);
    void SetSelectedItem(int nIndex);
    int GetSelectedItem() const { return m_nSelectedItem; }
    int GetNextEnabledItem(int nIndex, int nDirection) const;
    // Searches after nStartAfter, wrapping once: case-insensitive, whole
    // caption (exact) or prefix.
    int FindItem(int nStartAfter, LPCTSTR lpszItem, BOOL bExact) const;
    CString GetItemText(int nIndex) const;
    // Scrolls the item to the top; -1 for an invalid index.
    int SetTopIndex(int nIndex);
    BOOL IsScrollButtonEnabled(int ht) const;
    BOOL IsShowBottomSeparator() const;

    void SetCheckedItem(int nId) { m_nChecked = nId; RedrawParent(FALSE); }
    int GetCheckedItem() const { return m_nChecked; }
    BOOL IsItemSelected() const { return !m_bHideSelection && m_nSelectedItem != -1; }

    BOOL IsShowLabels() const { return m_bShowLabels; }
    void ShowLabels(BOOL bShow) { m_bShowLabels = bShow; Reposition(); }
    BOOL IsShowScrollBar() const { return m_bShowScrollBar; }
    void ShowScrollBar(BOOL bShow) { m_bShowScrollBar = bShow; Reposition(); }
    BOOL IsShowBorders() const { return m_bShowBorders; }
    void ShowBorders(BOOL bShow) { m_bShowBorders = bShow; Reposition(); }
    CRect GetGalleryMargin() const { return m_rcMargin; }
    void SetGalleryMargin(CRect rcMargin) { m_rcMargin = rcMargin; Reposition(); }

    // The layout of the items (the item rectangles, the content height and
    // the scroll bar).
    void Reposition();
    const CArray<GALLERYITEM_POSITION, GALLERYITEM_POSITION&>& GetItemPositions() const { return m_arrItemsPosition; }

    // The gallery as the control and its scroll bar.
    virtual CSize GetSize(CDC* pDC);
    virtual void Draw(CDC* pDC);
    virtual void SetRect(CRect rcControl);
    virtual void SetAction(CXTPControlAction* pAction);
    virtual void OnActionChanged(int nProperty);
    virtual void OnClick(BOOL bKeyboard = FALSE, CPoint pt = CPoint(0, 0));
    virtual void OnLButtonUp(CPoint point);
    virtual void OnMouseMove(CPoint point);
    virtual BOOL OnSetSelected(int bSelected);
    virtual int OnHookKeyDown(UINT nChar, LPARAM lParam);
    virtual BOOL OnHookMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    // An in-place gallery moves its selection with the bar's keys and
    // scrolls with the wheel while it is selected, without the focus.
    virtual BOOL TakesBarKeys() const { return IsInPlace(); }
    virtual CString GetTooltip(LPPOINT pPoint = NULL, LPRECT lpRectTip = NULL, INT_PTR* pnHit = NULL) const;
    virtual void AdjustExcludeRect(CRect& rc, BOOL bVertical);
    virtual void Copy(CXTPControl* pControl, BOOL bRecursive = FALSE);
    virtual void DoPropExchange(CXTPPropExchange* pPX);
    virtual CXTPControl* Clone(BOOL bRecursive = FALSE);
    virtual void OnMouseWheel(short zDelta);

    // Accessibility: the gallery is a list, its items (child ids from 1)
    // its list items.
    virtual HRESULT GetAccessibleChildCount(long* pcountChildren);
    virtual HRESULT GetAccessibleChild(VARIANT varChild, IDispatch** ppdispChild);
    virtual HRESULT GetAccessibleName(VARIANT varChild, BSTR* pszName);
    virtual BOOL IsAccessibleNameMnemonic(VARIANT varChild);
    virtual HRESULT GetAccessibleRole(VARIANT varChild, VARIANT* pvarRole);
    virtual HRESULT GetAccessibleState(VARIANT varChild, VARIANT* pvarState);
    virtual HRESULT GetAccessibleDefaultAction(VARIANT varChild, BSTR* pszDefaultAction);
    virtual HRESULT AccessibleSelect(long flagsSelect, VARIANT varChild);
    virtual HRESULT AccessibleLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight,
                                       VARIANT varChild);
    virtual HRESULT AccessibleHitTest(long xLeft, long yTop, VARIANT* pvarChild);
    virtual HRESULT AccessibleDoDefaultAction(VARIANT varChild);

    // The scroll base's host side.
    virtual BOOL IsScrollBarEnabled() const;
    virtual CXTPCommandBar* GetParentWindow() const { return m_pParent; }
    virtual void GetScrollBarRect(RECT* pRect);
    virtual void GetScrollInfo(SCROLLINFO* psi);
    virtual void DoScroll(int cmd, int pos);
    virtual void RedrawScrollBar();
    virtual void CalcScrollBarInfo(const RECT* lprc, SCROLLBARPOSINFO* pSBInfo, const SCROLLINFO* pSI);
    virtual CXTPControlGalleryPaintManager* GetScrollBarPaintManager() const;
    CXTPControlGalleryPaintManager* GetGalleryPaintManager() const { return GetScrollBarPaintManager(); }

    // Whether the gallery has a drop-down: any popup bar, with or without
    // controls yet. It then shows up, down and "more" buttons instead of a
    // scroll bar.
    BOOL HasPopupBar() const;
    // Giving or taking the drop-down swaps the scroll bar and the buttons,
    // so the gallery lays itself out again.
    using CXTPControlPopup::SetCommandBar;
    void SetCommandBar(CXTPCommandBar* pBar) override;
    virtual void RestoreCommandBarList(CXTPCommandBarList* pCommandBarList);
    // Whether the control shows in place (not as a popup button).
    BOOL IsInPlace() const { return GetStyle() <= 0; }

protected:
    void DrawItems(CDC* pDC);
    void RedrawItem(int nIndex);
    BOOL IsSelectable(int nIndex) const;

public:
    int m_nChecked;
    int m_nSelectedItem;
    BOOL m_bHideSelection;
    BOOL m_bPressed;
    int m_nScrollPos;
    BOOL m_bKeyboardSelected;
    int m_nTotalHeight;
    BOOL m_bShowLabels;
    BOOL m_bShowScrollBar;
    BOOL m_bShowBorders;
    CRect m_rcMargin;
    CArray<GALLERYITEM_POSITION, GALLERYITEM_POSITION&> m_arrItemsPosition;
    CXTPControlGalleryItems* m_pItems;   // one reference held
};

// The drop-down of a combo box that shows one gallery (its first control)
// instead of a list.
class CXTPControlComboBoxGalleryPopupBar : public CXTPControlComboBoxPopupBar
{
    DECLARE_DYNCREATE(CXTPControlComboBoxGalleryPopupBar)
public:
    CXTPControlComboBoxGalleryPopupBar();

    CXTPControlGallery* GetGalleryControl() const;

    virtual int GetCurSel() const;
    virtual int FindString(int nStartAfter, LPCTSTR lpszItem) const;
    virtual int FindStringExact(int nIndexStart, LPCTSTR lpszFind) const;
    virtual int SetTopIndex(int nIndex);
    virtual void SetCurSel(int nIndex);
    virtual void GetText(int nIndex, CString& rString) const;
    virtual BOOL ProcessHookKeyDown(CXTPControlComboBox* pComboBox, UINT nChar, LPARAM lParam);
    virtual CXTPCommandBar* Clone(BOOL bRecursive = FALSE);
    // Entering tracking selects the gallery and shows the combo box's
    // current item; the combo box hears drop-down and close-up.
    virtual BOOL SetTrackingMode(int bMode, BOOL bSelectFirst = TRUE, BOOL bKeyboard = FALSE);
    virtual int OnHookKeyDown(UINT nChar, LPARAM lParam);

    // The combo box that owns the drop-down, or NULL.
    CXTPControlComboBox* GetComboBox() const;
    // The combo box takes the gallery's selection and executes.
    void TakeSelection();

protected:
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()
};
