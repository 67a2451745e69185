// Property grid items: one row of a grid (a caption, a value held as text, a
// default value, a description, children, allowed values and in-place
// buttons), the collection of items, the allowed values (constraints), and
// the typed Number and Bool items.
#pragma once

#include "XTPPropertyGridDefines.h"
#include "XTPAccessible.h"

class CXTPPropertyGridView;
class CXTPPropertyGrid;
class CXTPPropertyGridItems;
class CXTPPropertyGridItemConstraint;
class CXTPPropertyGridItemConstraints;
class CXTPPropertyGridItemMetrics;
class CXTPPropertyGridInplaceEdit;
class CXTPPropertyGridInplaceList;
class CXTPPropertyGridInplaceButton;
class CXTPPropertyGridInplaceButtons;
class CXTPImageManagerIcon;

// Answers IAccessible, IDispatch and IUnknown with the object's accessibility face.
DWORD AFX_CDECL XTPPropertyGridQueryAccessible(CXTPAccessible* pAccessible, const void* iid, LPVOID* ppvObj);

//////////////////////////////////////////////////////////////////////////
// Constraints

// One allowed value of an item.
class CXTPPropertyGridItemConstraint : public CCmdTarget
{
public:
    CXTPPropertyGridItemConstraint();

    CString GetText() const { return m_strConstraint; }
    void SetText(LPCTSTR lpszText) { m_strConstraint = lpszText; }
    DWORD_PTR GetData() const { return m_dwData; }
    void SetData(DWORD_PTR dwData) { m_dwData = dwData; }
    int GetIndex() const { return m_nIndex; }
    CXTPPropertyGridItem* GetItem() const { return m_pItem; }
    // The grid image of the constraint's image id; null without an owner
    // item or without an image.
    CXTPImageManagerIcon* GetImage() const;

    CString m_strConstraint;
    DWORD_PTR m_dwData;
    int m_nImage;       // -1 = none
    int m_nIndex;
    CXTPPropertyGridItem* m_pItem;
};

// The allowed values of an item, in order, and the current one.
class CXTPPropertyGridItemConstraints : public CCmdTarget
{
public:
    explicit CXTPPropertyGridItemConstraints(CXTPPropertyGridItem* pItem);
    virtual ~CXTPPropertyGridItemConstraints();

    CXTPPropertyGridItemConstraint* AddConstraint(LPCTSTR lpszConstraint, DWORD_PTR dwData = 0, int nImage = -1);
    void RemoveAll();
    int GetCount() const { return (int)m_arrConstraints.GetSize(); }
    BOOL IsEmpty() const { return GetCount() == 0; }
    // The text of a constraint; empty outside the range.
    CString GetAt(int nIndex) const;
    CXTPPropertyGridItemConstraint* GetConstraintAt(int nIndex) const;
    // The first constraint whose text matches, ignoring case; -1 when none.
    int FindConstraint(LPCTSTR lpszConstraint) const;
    // The first constraint with the data word; -1 when none.
    int FindConstraint(DWORD_PTR dwData) const;
    // Sorts by text (case-sensitive).
    void Sort();
    int GetCurrent() const { return m_nCurrent; }
    void SetCurrent(int nIndex) { m_nCurrent = nIndex; }
    CXTPPropertyGridItem* GetItem() const { return m_pItem; }
    // Forgets the owning item (it is being destroyed).
    void DetachItem();

private:
    CArray<CXTPPropertyGridItemConstraint*, CXTPPropertyGridItemConstraint*> m_arrConstraints;
    int m_nCurrent;
    CXTPPropertyGridItem* m_pItem;
};

//////////////////////////////////////////////////////////////////////////
// Item collection

class CXTPPropertyGridItems : public CCmdTarget
{
public:
    CXTPPropertyGridItems();
    virtual ~CXTPPropertyGridItems();

    int GetCount() const { return (int)m_arrItems.GetSize(); }
    // Null outside 0..count-1.
    CXTPPropertyGridItem* GetAt(int nIndex) const;
    // Detaches and releases every item; while it runs the view's rows are
    // locked, and the view refills once afterwards.
    void Clear();
    // Appends every item of another collection (the pointers only).
    void AddTail(CXTPPropertyGridItems* pItems);
    // Quicksort of the pointers by caption (case-sensitive).
    void Sort();
    // The first item with the id, searching children too; null when none.
    CXTPPropertyGridItem* FindItem(UINT nID) const;
    // The first item with the caption, searching children too.
    CXTPPropertyGridItem* FindItem(LPCTSTR lpszCaption) const;

    // Raw access used by the items and the view.
    void InsertAt(int nIndex, CXTPPropertyGridItem* pItem);
    void Add(CXTPPropertyGridItem* pItem) { m_arrItems.Add(pItem); }
    void RemoveAt(int nIndex) { m_arrItems.RemoveAt(nIndex); }
    void RemoveAllPointers() { m_arrItems.RemoveAll(); }
    int Find(const CXTPPropertyGridItem* pItem) const;

private:
    CArray<CXTPPropertyGridItem*, CXTPPropertyGridItem*> m_arrItems;
};

//////////////////////////////////////////////////////////////////////////
// Item

class CXTPPropertyGridItem : public CCmdTarget, public CXTPAccessible
{
public:
    CXTPPropertyGridItem(LPCTSTR lpszCaption, LPCTSTR strValue = NULL, CString* pBindString = NULL);
    virtual ~CXTPPropertyGridItem();

    // --- Virtual operations -------------------------------------------------
    // The value column's rectangle in view coordinates.
    virtual CRect GetValueRect();
    // Stores the text (and into the bound string), updates the in-place edit
    // and redraws. Never notifies.
    virtual void SetValue(CString strValue);
    // The one path of a user's change: SetValue, redraw, notification 3.
    virtual void OnValueChanged(CString strValue);
    // TRUE when the item drew its value itself.
    virtual BOOL OnDrawItemValue(CDC& dc, CRect rcValue);
    virtual void OnDrawItemConstraint(CDC* pDC, CXTPPropertyGridItemConstraint* pConstraint, CRect rc,
                                      BOOL bSelected);
    virtual CSize OnMeasureItemConstraint(CDC* pDC, CXTPPropertyGridItemConstraint* pConstraint);
    virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    // TRUE when the value differs from the default value (case-sensitive).
    virtual BOOL IsValueChanged();
    virtual void ResetValue();
    // The text shown: the value, or prompt characters for a password.
    virtual CString GetViewValue();
    virtual CXTPPropertyGridInplaceEdit& GetInplaceEdit();
    virtual void SetFocusToInplaceControl();
    virtual BOOL IsInplaceButtonVisible();
    virtual BOOL OnRequestEdit();
    virtual BOOL OnAfterEdit(CString& strValue);
    virtual void OnCancelEdit();
    virtual DWORD GetEditStyle() const;
    virtual void SetShownInList(BOOL bShown) { m_bVisible = bShown; }
    virtual void OnIndexChanged() {}
    virtual void OnSelect();
    virtual void OnDeselect();
    virtual BOOL OnChar(UINT nChar);
    virtual void OnLButtonDblClk(UINT nFlags, CPoint point);
    virtual void OnRButtonDown(UINT nFlags, CPoint point) {}
    virtual BOOL OnLButtonDown(UINT nFlags, CPoint point);
    virtual void OnLButtonUp(UINT nFlags, CPoint point) {}
    virtual BOOL OnKeyDown(UINT nChar) { return FALSE; }
    virtual void OnFlagsRefresh();
    virtual void OnInplaceButtonDown(CXTPPropertyGridInplaceButton* pButton);
    virtual CXTPPropertyGridInplaceList& GetInplaceList();
    virtual void OnValidateEdit();
    virtual void SetEditText(const CString& str);
    virtual void UpdateFromBoundValue();
    virtual void OnConstraintsChanged() {}

    // --- Non-virtual operations --------------------------------------------
    // Caption, then after the first newline the description.
    void SetPrompt(LPCTSTR lpszPrompt);
    CString GetValue() const { return m_strValue; }
    CString GetCaption() const { return m_strCaption; }
    CString GetDescription() const { return m_strDescription; }
    void SetCaption(LPCTSTR lpszCaption) { m_strCaption = lpszCaption; }
    void SetDescription(LPCTSTR lpszDescription) { m_strDescription = lpszDescription; }
    CString GetDefaultValue() const { return m_strDefaultValue; }
    void SetDefaultValue(LPCTSTR lpszDefault) { m_strDefaultValue = lpszDefault; }

    UINT GetID() const { return m_nID; }
    void SetID(UINT nID) { m_nID = nID; }
    DWORD GetFlags() const { return m_nFlags; }
    // Stores the flags and rebuilds in-place buttons 100 and 101 from them.
    void SetFlags(DWORD nFlags);
    BOOL GetReadOnly() const { return m_bReadOnly; }
    BOOL IsReadOnly() const { return m_bReadOnly; }
    void SetReadOnly(BOOL bReadOnly = TRUE);
    BOOL GetConstraintEdit() const { return m_bConstraintEdit; }
    void SetConstraintEdit(BOOL bConstraintEdit) { m_bConstraintEdit = bConstraintEdit; }

    int GetIndex() const { return m_nIndex; }
    void SetIndex(int nIndex) { m_nIndex = nIndex; }
    int GetIndent() const { return m_nIndent; }
    BOOL IsCategory() const { return m_bCategory; }
    BOOL IsExpanded() const { return m_bExpanded; }
    BOOL IsVisible() const { return m_bVisible; }
    BOOL IsHidden() const { return m_bHidden; }
    void SetHidden(BOOL bHidden) { m_bHidden = bHidden; }
    BOOL HasChilds() const;
    CXTPPropertyGridItem* GetParentItem() const { return m_pParent; }
    CXTPPropertyGridItems* GetChilds() const { return m_pChilds; }
    CXTPPropertyGridItemConstraints* GetConstraints() const { return m_pConstraints; }
    CXTPPropertyGridInplaceButtons* GetInplaceButtons() const { return m_pInplaceButtons; }
    CXTPPropertyGridView* GetGridView() const { return m_pGrid; }
    CXTPPropertyGrid* GetGrid() const;

    void BindToString(CString* pBindString);
    BOOL IsSelected() const;
    BOOL HasParent(CXTPPropertyGridItem* pParent) const;
    void Select();
    CRect GetItemRect() const;
    BOOL PtInValueRect(CPoint point);
    void Expand();
    void Collapse();
    CXTPPropertyGridItem* AddChildItem(CXTPPropertyGridItem* pItem);
    CXTPPropertyGridItem* InsertChildItem(int nIndex, CXTPPropertyGridItem* pItem);
    CXTPPropertyGridItemMetrics* GetMetrics(BOOL bValueMetrics, BOOL bCreate = TRUE);
    BOOL SelectNextConstraint();

    // Row and edit settings; nothing in the game sets them, the grid honours them.
    int GetDropDownItemCount() const { return m_nDropDownItemCount; }
    void SetDropDownItemCount(int nCount) { m_nDropDownItemCount = nCount; }
    void SetMask(LPCTSTR lpszMask, LPCTSTR lpszLiteral, TCHAR chPrompt = '_');
    BOOL IsUseMask() const { return m_bUseMask; }
    CString GetMask() const { return m_strMask; }
    CString GetLiteral() const { return m_strLiteral; }
    TCHAR GetPromptChar() const { return m_chPrompt; }
    void SetPasswordMask(TCHAR chPrompt = '*');
    BOOL IsPassword() const { return m_bPassword; }
    void SetMultiLinesCount(int nLines) { m_nLinesCount = nLines; }
    int GetMultiLinesCount() const { return m_nLinesCount; }
    void SetHeight(int nHeight) { m_nHeight = nHeight; }
    int GetHeight() const { return m_nHeight; }
    void SetEditStyle(DWORD dwStyle) { m_dwEditStyle = dwStyle; }

    // Attaches the item to a view: used by the view for categories.
    void SetCategoryOf(CXTPPropertyGridView* pView);
    // Detaches the item: releases children, constraints, metrics, buttons.
    void Clear();

    // Accessibility.
    virtual CCmdTarget* GetAccessibleCmdTarget() { return this; }
    virtual DWORD InternalQueryInterface(const void* iid, LPVOID* ppvObj)
    {
        return XTPPropertyGridQueryAccessible(this, iid, ppvObj);
    }
    virtual HRESULT GetAccessibleParent(IDispatch** ppdispParent);
    // A row has no accessible children of its own.
    virtual HRESULT GetAccessibleChildCount(long* pcountChildren)
    {
        *pcountChildren = 0;
        return S_OK;
    }
    virtual HRESULT GetAccessibleName(VARIANT varChild, BSTR* pszName);
    virtual HRESULT GetAccessibleValue(VARIANT varChild, BSTR* pszValue);
    virtual HRESULT GetAccessibleDescription(VARIANT varChild, BSTR* pszDescription);
    virtual HRESULT GetAccessibleRole(VARIANT varChild, VARIANT* pvarRole);
    virtual HRESULT GetAccessibleState(VARIANT varChild, VARIANT* pvarState);
    virtual HRESULT GetAccessibleDefaultAction(VARIANT varChild, BSTR* pszDefaultAction);
    virtual HRESULT AccessibleDoDefaultAction(VARIANT varChild);
    virtual HRESULT AccessibleSelect(long flagsSelect, VARIANT varChild);
    virtual HRESULT AccessibleLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight,
                                       VARIANT varChild);
    virtual HRESULT AccessibleHitTest(long xLeft, long yTop, VARIANT* pvarChild);

protected:
    // Sends a grid notification through the view; 0 without a grid.
    LRESULT NotifyGrid(WPARAM nCode, LPARAM lParam) const;
    // Sends one of the edit-request notifications 11-13.
    BOOL NotifyEditRequest(WPARAM nCode, CString* pstrValue);
    // Presses the item's in-place edit, placed under the point: as input
    // where the pointer lies over it, else by a message to the edit.
    void ForwardClickToInplaceEdit(CPoint point);

    BOOL m_bConstraintEdit;
    int m_nIndex;
    int m_nIndent;
    UINT m_nID;
    DWORD m_nFlags;
    BOOL m_bReadOnly;
    BOOL m_bVisible;
    BOOL m_bCategory;
    BOOL m_bExpanded;
    CString m_strValue;
    CString m_strDefaultValue;
    CString m_strCaption;
    CString m_strDescription;
    CXTPPropertyGridItem* m_pParent;
    CXTPPropertyGridView* m_pGrid;
    CXTPPropertyGridItems* m_pChilds;
    CXTPPropertyGridItemConstraints* m_pConstraints;
    CXTPPropertyGridItemMetrics* m_pValueMetrics;
    CXTPPropertyGridItemMetrics* m_pCaptionMetrics;
    CXTPPropertyGridInplaceButtons* m_pInplaceButtons;
    int m_nDropDownItemCount;
    CString* m_pBindString;
    CString m_strMask;
    CString m_strLiteral;
    TCHAR m_chPrompt;
    BOOL m_bUseMask;
    BOOL m_bPassword;
    BOOL m_bHidden;
    int m_nHeight;
    int m_nLinesCount;
    DWORD m_dwEditStyle;

    friend class CXTPPropertyGridItems;
    friend class CXTPPropertyGridView;
    friend class CXTPPropertyGridInplaceEdit;
    friend class CXTPPropertyGridInplaceList;

private:
    CXTPPropertyGridItem(const CXTPPropertyGridItem&);
    CXTPPropertyGridItem& operator=(const CXTPPropertyGridItem&);
};

//////////////////////////////////////////////////////////////////////////
// Number item

class CXTPPropertyGridItemNumber : public CXTPPropertyGridItem
{
public:
    CXTPPropertyGridItemNumber(LPCTSTR lpszCaption, long nValue = 0, long* pBindNumber = NULL);

    // Parses the leading number of the text (0 without one).
    virtual void SetValue(CString strValue);
    virtual void UpdateFromBoundValue();
    virtual void SetNumber(long nValue);
    virtual long GetNumber() const { return m_nValue; }
    virtual void BindToNumber(long* pBindNumber);

protected:
    long m_nValue;
    long* m_pBindNumber;
};

//////////////////////////////////////////////////////////////////////////
// Bool item

class CXTPPropertyGridItemBool : public CXTPPropertyGridItem
{
public:
    CXTPPropertyGridItemBool(LPCTSTR lpszCaption, BOOL bValue = FALSE, BOOL* pBindBool = NULL);

    // TRUE for the true text in any letter case, FALSE for any other text.
    virtual void SetValue(CString strValue);
    virtual void UpdateFromBoundValue();
    virtual BOOL OnDrawItemValue(CDC& dc, CRect rcValue);
    virtual CString GetViewValue();
    virtual void OnLButtonDblClk(UINT nFlags, CPoint point);
    virtual BOOL OnLButtonDown(UINT nFlags, CPoint point);
    virtual BOOL OnKeyDown(UINT nChar);
    virtual void SetBool(BOOL bValue);
    virtual BOOL GetBool() const { return m_bValue; }
    virtual void BindToBool(BOOL* pBindBool);

    CString GetTrueText() const { return m_strTrueText; }
    CString GetFalseText() const { return m_strFalseText; }
    // Draws a check box instead of the text; nothing in the game sets it.
    void SetCheckBoxStyle(BOOL bCheckBox = TRUE);
    BOOL IsCheckBoxStyle() const { return m_bCheckBoxStyle; }

protected:
    BOOL m_bValue;
    BOOL* m_pBindBool;
    CString m_strTrueText;
    CString m_strFalseText;
    BOOL m_bCheckBoxStyle;
};
