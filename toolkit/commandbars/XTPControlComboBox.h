// The combo box on a command bar (control type 5): a drop-down list of text
// items, with or without an edit box, an optional label, icon and hint,
// completion from its own items and shell auto-complete. Its list opens as
// a popup bar that is at the same time a list-box window.
#pragma once

#include "XTPControlEdit.h"
#include "XTPControlPopup.h"
#include "XTPPopupBar.h"

class CXTPControlComboBox;

// Notifications of the combo box to its bar's owner (the platform's numbers).
#define XTP_CBN_SELCHANGE 1
#define XTP_CBN_SETFOCUS 3
#define XTP_CBN_KILLFOCUS 4
#define XTP_CBN_EDITCHANGE 5
#define XTP_CBN_DROPDOWN 7
#define XTP_CBN_CLOSEUP 8
#define XTP_CBN_SELENDOK 9
#define XTP_CBN_SELENDCANCEL 10

// The common base of the drop-down bars of combo-like controls.
class CXTPControlComboBoxPopupBar : public CXTPPopupBar
{
    DECLARE_DYNCREATE(CXTPControlComboBoxPopupBar)
public:
    CXTPControlComboBoxPopupBar();

    // The list operations; -1 or nothing in this base.
    virtual int GetCurSel() const { return -1; }
    virtual int FindString(int nStartAfter, LPCTSTR lpszItem) const { return -1; }
    virtual int FindStringExact(int nIndexStart, LPCTSTR lpszFind) const { return -1; }
    virtual int SetTopIndex(int nIndex) { return -1; }
    virtual void SetCurSel(int nIndex) {}
    virtual void GetText(int nIndex, CString& rString) const { rString.Empty(); }
    // A key of the control while the list is its popup; TRUE when used.
    virtual BOOL ProcessHookKeyDown(CXTPControlComboBox* pComboBox, UINT nChar, LPARAM lParam) { return FALSE; }
};

// The list of a combo box: a list-box window that is a popup bar.
class CXTPControlComboBoxList : public CXTPControlComboBoxPopupBar
{
    DECLARE_DYNCREATE(CXTPControlComboBoxList)
public:
    CXTPControlComboBoxList();
    virtual ~CXTPControlComboBoxList();

    virtual int GetCurSel() const;
    virtual int FindString(int nStartAfter, LPCTSTR lpszItem) const;
    virtual int FindStringExact(int nIndexStart, LPCTSTR lpszFind) const;
    virtual int SetTopIndex(int nIndex);
    virtual void SetCurSel(int nIndex);
    virtual void GetText(int nIndex, CString& rString) const;
    virtual BOOL ProcessHookKeyDown(CXTPControlComboBox* pComboBox, UINT nChar, LPARAM lParam);
    // Creates the list-box window (hidden, owned by nobody yet).
    virtual void CreateListBox();

    virtual BOOL Popup(CXTPControlPopup* pControlPopup, BOOL bSelectFirst = FALSE);
    virtual BOOL SetTrackingMode(int bMode, BOOL bSelectFirst = TRUE, BOOL bKeyboard = FALSE);
    virtual int OnHookKeyDown(UINT nChar, LPARAM lParam);
    virtual void DoPropExchange(CXTPPropExchange* pPX);
    virtual void Copy(CXTPCommandBar* pCommandBar, BOOL bRecursive = FALSE);
    virtual BOOL DestroyWindow();
    // The list keeps the size it was opened with: no menu layout applies.
    virtual void OnRecalcLayout() {}
    virtual CSize CalcDynamicLayout(int nLength, DWORD dwMode);

    int GetCount() const;
    int AddString(LPCTSTR lpszItem);
    int InsertString(int nIndex, LPCTSTR lpszItem);
    int DeleteString(int nIndex);
    void ResetContent();
    int GetItemHeight() const;
    CXTPControlComboBox* GetComboBox() const { return m_pComboBox; }

    // The most items a stored list may bring back.
    enum { nMaxStoredItems = 10000 };

    CXTPControlComboBox* m_pComboBox;   // the owning control while the list is open

protected:
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    void OnListPaint();
    void OnListNcPaint();
    BOOL OnListMouseMove(CPoint point);
    int ItemFromPoint(CPoint point) const;
};

// The edit box of an editable combo box.
class CXTPControlComboBoxEditCtrl : public CXTPControlTextEditCtrl
{
    DECLARE_DYNAMIC(CXTPControlComboBoxEditCtrl)
public:
    CXTPControlComboBox* GetComboBox() const;

protected:
    // A right click closes the open list first.
    virtual void OnBeforeContextMenu();
    afx_msg LRESULT OnAutoCompleteShown(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

class CXTPControlComboBox : public CXTPControlPopup, public CXTPControlEditTextHolder
{
    DECLARE_DYNCREATE(CXTPControlComboBox)
public:
    CXTPControlComboBox();
    virtual ~CXTPControlComboBox();

    virtual void SetEnabled(BOOL bEnabled);
    virtual void SetFocused(BOOL bFocused);
    virtual BOOL IsFocused() const { return m_bFocused; }
    virtual void SetRect(CRect rcControl);
    virtual BOOL IsCaptionVisible() const;
    virtual BOOL Compare(CXTPControl* pOther);
    virtual BOOL SetHideFlags(DWORD dwFlags);
    virtual void OnExecute();
    virtual void OnCalcDynamicSize(DWORD dwMode);
    virtual void ExecuteFromKeyboard();
    virtual int OnHookKeyDown(UINT nChar, LPARAM lParam);
    virtual BOOL OnHookMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    virtual void SetParent(CXTPCommandBar* pParent);
    virtual void Copy(CXTPControl* pControl, BOOL bRecursive = FALSE);
    virtual BOOL OnSetPopup(BOOL bPopup);
    virtual void OnClick(BOOL bKeyboard = FALSE, CPoint pt = CPoint(0, 0));
    virtual BOOL OnSetSelected(int bSelected);
    virtual int GetCustomizeMinWidth() const { return m_nLabelWidth + m_nThumbWidth + 5; }
    virtual BOOL IsCustomizeResizeAllowed() const { return TRUE; }
    virtual void OnActionChanged(int nProperty);
    virtual void OnActionChanging(int nProperty);
    virtual void DoPropExchange(CXTPPropExchange* pPX);
    virtual BOOL HasWindow() const { return m_pEdit != NULL && m_pEdit->GetSafeHwnd() != NULL; }
    // Own virtual operations, in this order.
    virtual CString GetListBoxText() const;
    virtual void GetCharFormat(CHARFORMAT2& cf);
    virtual void DrawEditText(CDC* pDC, CRect rcText);
    virtual CString GetText() const { return GetListBoxText(); }
    virtual void OnEditChanged();
    virtual void OnSelChanged();
    virtual CXTPControlComboBoxEditCtrl* CreateEditControl();
    virtual void OnSetFocus(CWnd* pOldWnd);
    virtual void OnKillFocus();
    virtual void AdjustEditRect(CRect& rc);

    // The icon shows on a popup bar when the control has one, elsewhere for
    // the icon styles.
    BOOL IsImageVisible() const;

    // The list's selection, or the remembered one without a list.
    int GetCurSel() const;
    void SetCurSel(int nIndex);
    BOOL GetDroppedState() const { return m_bPopup; }
    void SetDropDown(BOOL bDropDown);
    BOOL GetDropDown() const { return m_bDropDown; }
    CString GetEditText() { return m_pEdit != NULL ? GetEditTextValue() : GetListBoxText(); }
    void SetEditText(LPCTSTR lpszText) { SetEditTextValue(lpszText); }
    CString GetEditHint() const { return GetEditHintText(); }
    void SetEditHint(LPCTSTR lpszHint) { SetEditHintValue(lpszHint); }
    void EnableShellAutoComplete(DWORD dwFlags);
    // Selects the item that matches the text, or scrolls to the first that
    // begins with it.
    void UpdatePopupSelection();

    // The list's items.
    int GetCount() const;
    int AddString(LPCTSTR lpszItem);
    int InsertString(int nIndex, LPCTSTR lpszItem);
    int DeleteItem(int nIndex);
    void ResetContent();
    int FindStringExact(int nIndexStart, LPCTSTR lpszFind) const;
    void GetLBText(int nIndex, CString& rString) const;
    CXTPControlComboBoxPopupBar* GetComboPopupBar() const;
    CXTPControlComboBoxList* GetListBox() const;

    int GetDropDownItemCount() const { return m_nDropDownItemCount; }
    void SetDropDownItemCount(int nCount) { m_nDropDownItemCount = nCount; }
    int GetDropDownListWidth() const;
    void SetDropDownListWidth(int nWidth);
    BOOL GetAutoComplete() const { return m_bAutoComp; }
    void SetAutoComplete(BOOL bAutoComplete) { m_bAutoComp = bAutoComplete; }
    int GetEditIconId() const { return m_nEditIconId; }
    void SetEditIconId(int nIconId) { m_nEditIconId = nIconId; }
    int GetComboStyle() const { return m_comboStyle; }
    void SetComboStyle(int nStyle) { m_comboStyle = nStyle; DelayLayoutParent(); }
    int GetLabelWidth() const { return m_nLabelWidth; }
    void SetLabelWidth(int nWidth) { m_nLabelWidth = nWidth; }
    int GetThumbWidth() const { return m_nThumbWidth; }
    void SetThumbWidth(int nWidth) { m_nThumbWidth = nWidth; }
    CXTPControlComboBoxEditCtrl* GetEditCtrl() const { return m_pEdit; }
    DWORD GetEditStyle() const { return m_dwEditStyle; }
    void SetEditStyle(DWORD dwStyle) { m_dwEditStyle = dwStyle; m_bDelayDestroy = TRUE; DelayLayoutParent(); }

    virtual CXTPEdit* GetEditWindow() const { return m_pEdit; }
    virtual CXTPControl* GetTextControl() { return this; }

    // Called by the list bar when it enters or leaves tracking mode.
    void OnListTrackingModeChanged(BOOL bTracking);

public:
    CXTPControlComboBoxEditCtrl* m_pEdit;
    BOOL m_bDropDown;
    int m_comboStyle;
    int m_nLastSel;             // the selection at focus or when the list opened
    int m_nThumbWidth;          // the drop button's width, set by the paint manager
    BOOL m_bAutoComp;
    BOOL m_bIgnoreAutoComplete;
    int m_nEditIconId;
    BOOL m_bSelEndOk;           // the current drop or focus ended with a choice
    int m_nDropDownItemCount;
    int m_nCurSel;              // the selection when the control has no list
    BOOL m_bIgnoreSelection;    // the text is being set from a selection
};
