// The in-place controls of a property grid: the small buttons at the right of
// a selected value, the drop-down list of an item's constraints and the value
// editor (a masked edit). The grid owns one list and one edit and re-targets
// them at whichever item is being edited.
#pragma once

#include "XTPPropertyGridDefines.h"
#include "XTMaskEdit.h"

class CXTPPropertyGridItem;
class CXTPPropertyGridView;
class CXTPImageManagerIcon;

//////////////////////////////////////////////////////////////////////////
// In-place button

class CXTPPropertyGridInplaceButton : public CCmdTarget
{
public:
    explicit CXTPPropertyGridInplaceButton(UINT nID);

    virtual CXTPImageManagerIcon* GetImage();
    // Stores the rectangle and lets the paint manager draw the button.
    virtual void OnDraw(CDC* pDC, CRect rc);
    // Tracks the press until the button is released; a release over the
    // button presses it (the item's OnInplaceButtonDown).
    virtual void OnLButtonDown(UINT nFlags, CPoint point);
    // Space, Down, Enter and F4 press the button.
    virtual void OnKeyDown(UINT nChar);

    int GetIndex() const { return m_nIndex; }
    int GetWidth() const { return m_nWidth; }
    void SetWidth(int nWidth) { m_nWidth = nWidth; }
    CString GetCaption() const { return m_strCaption; }
    void SetCaption(LPCTSTR lpszCaption) { m_strCaption = lpszCaption; }
    int GetImageIndex() const { return m_nImageIndex; }
    void SetImageIndex(int nIndex) { m_nImageIndex = nIndex; }
    BOOL IsHot() const;
    BOOL IsFocused() const;
    BOOL IsPressed() const { return m_bPressed; }
    UINT GetID() const { return m_nID; }
    CRect GetRect() const { return m_rcButton; }
    CXTPPropertyGridItem* GetItem() const { return m_pItem; }
    CXTPPropertyGridView* GetGridView() const { return m_pGrid; }

protected:
    BOOL m_bPressed;
    int m_nIndex;
    CXTPPropertyGridView* m_pGrid;
    CXTPPropertyGridItem* m_pItem;
    UINT m_nID;
    CRect m_rcButton;
    int m_nWidth;
    CString m_strCaption;
    int m_nImageIndex;

    friend class CXTPPropertyGridInplaceButtons;
};

class CXTPPropertyGridInplaceButtons : public CCmdTarget
{
public:
    explicit CXTPPropertyGridInplaceButtons(CXTPPropertyGridItem* pItem);
    virtual ~CXTPPropertyGridInplaceButtons();

    CXTPPropertyGridInplaceButton* AddButton(CXTPPropertyGridInplaceButton* pButton);
    CXTPPropertyGridInplaceButton* AddComboButton();
    CXTPPropertyGridInplaceButton* AddExpandButton();
    CXTPPropertyGridInplaceButton* Find(UINT nID) const;
    void Remove(CXTPPropertyGridInplaceButton* pButton);
    void RemoveByID(UINT nID);
    void RemoveAll();
    // The button whose drawn rectangle holds the point, while the item's
    // buttons are visible.
    CXTPPropertyGridInplaceButton* HitTest(CPoint point) const;
    int GetCount() const { return (int)m_arrButtons.GetSize(); }
    CXTPPropertyGridInplaceButton* GetAt(int nIndex) const;
    // The total width of the buttons.
    int GetWidth() const;

protected:
    void UpdateIndexes();

    CXTPPropertyGridItem* m_pItem;
    CArray<CXTPPropertyGridInplaceButton*, CXTPPropertyGridInplaceButton*> m_arrButtons;
};

//////////////////////////////////////////////////////////////////////////
// In-place list

class CXTPPropertyGridInplaceList : public CListBox
{
public:
    CXTPPropertyGridInplaceList();
    virtual ~CXTPPropertyGridInplaceList();

    // Shows the item's constraints under its row (view coordinates).
    virtual void Create(CXTPPropertyGridItem* pItem, CRect rect);
    virtual void DestroyItem();
    virtual void Cancel();
    virtual void Apply();

    CXTPPropertyGridItem* GetItem() const { return m_pItem; }

    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);

protected:
    // Gives the focus back to the view (its owner), else to its parent.
    void ReturnFocus();

    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg UINT OnGetDlgCode();
    DECLARE_MESSAGE_MAP()

    CXTPPropertyGridItem* m_pItem;
    HWND m_hWndView;
};

//////////////////////////////////////////////////////////////////////////
// In-place edit

class CXTPPropertyGridInplaceEdit : public CXTMaskEditT<CEdit>
{
public:
    CXTPPropertyGridInplaceEdit();
    virtual ~CXTPPropertyGridInplaceEdit();

    virtual void SetValue(LPCTSTR lpszValue);
    virtual void HideWindow();
    // Shows the edit for the item in the rectangle (view coordinates).
    virtual void Create(CXTPPropertyGridItem* pItem, CRect rect);
    virtual void DestroyItem();
    // Steps to the previous (-1) or next (+1) constraint; FALSE when the
    // text matches none.
    virtual BOOL SelectConstraints(int nStep, BOOL bCycle);

    CXTPPropertyGridItem* GetItem() const { return m_pItem; }
    void SetItem(CXTPPropertyGridItem* pItem) { m_pItem = pItem; }
    CString GetValueText() const { return m_strValue; }
    BOOL IsEditCancelled() const { return m_bCancel; }
    BOOL IsEditChanged() const;
    BOOL IsEditing() const { return m_bEditMode; }

    virtual BOOL PreTranslateMessage(MSG* pMsg);

protected:
    afx_msg void OnEnSetFocus();
    afx_msg void OnEnKillFocus();
    afx_msg void OnEnChange();
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg UINT OnGetDlgCode();
    afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    afx_msg void OnStyleChanged(int nStyleType, LPSTYLESTRUCT lpStyleStruct);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    DECLARE_MESSAGE_MAP()

    // Presses the item's drop-down button (101) when it has one.
    void PressComboButton();
    // Gives the focus back to the view, which commits the edit.
    void FocusView();

    CString m_strValue;
    CBrush m_brBack;
    COLORREF m_clrBack;
    CXTPPropertyGridView* m_pGrid;
    CXTPPropertyGridItem* m_pItem;
    BOOL m_bDelayCreate;
    BOOL m_bCreated;
    BOOL m_bEditMode;
    BOOL m_bCancel;

    friend class CXTPPropertyGridItem;
};
