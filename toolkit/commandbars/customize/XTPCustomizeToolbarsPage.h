// The "Tool&bars" page of the Customize sheet: every customizable bar with a
// check box for its visibility, and New, Rename, Delete and Reset. Also the
// small dialog that asks for a toolbar's name.
#pragma once

#include <afxpropsheet.h>
#include <afxctrls.h>
#include "XTPWinThemeWrapper.h"

class CXTPCommandBars;
class CXTPToolBar;
class CXTPCustomizeSheet;

// A check list that draws its own check boxes, themed when themes are on.
class CXTPCustomizeToolbarsPageCheckListBox : public CCheckListBox
{
public:
    CXTPCustomizeToolbarsPageCheckListBox();
    CSize GetThemedCheckSize() const { return m_szCheck; }
    virtual void PreDrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    virtual void PreSubclassWindow();

protected:
    CXTPWinThemeWrapper m_themeButton;
    CSize m_szCheck;
};

class CXTPNewToolbarDlg : public CDialog
{
public:
    // pBar is the bar to rename, NULL for a new bar.
    CXTPNewToolbarDlg(CWnd* pParentWnd, CXTPCommandBars* pCommandBars, CXTPToolBar* pBar = NULL);

    virtual INT_PTR DoModal();
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void DoDataExchange(CDataExchange* pDX);

    // The smallest "Custom %d" no bar has as its title.
    static CString AFX_CDECL ProposeName(CXTPCommandBars* pCommandBars);
    // Checks the name against the bars: 0 accepted (new id in nNewID),
    // 9164 blank, 9165 no id left, 9166 taken by another bar.
    static UINT AFX_CDECL CheckName(CXTPCommandBars* pCommandBars, CXTPToolBar* pRenamed, const CString& strName,
                                    UINT& nNewID);

    CString m_strToolbar;
    CXTPToolBar* m_pToolBar;
    CXTPCommandBars* m_pCommandBars;
    UINT m_nNewID;
};

class CXTPCustomizeToolbarsPage : public CPropertyPage
{
    DECLARE_DYNCREATE(CXTPCustomizeToolbarsPage)
public:
    explicit CXTPCustomizeToolbarsPage(CXTPCustomizeSheet* pSheet = NULL);
    virtual ~CXTPCustomizeToolbarsPage();

    virtual BOOL OnInitDialog();
    virtual void DoDataExchange(CDataExchange* pDX);

    // Fills the list again, keeping the selection and the scroll position.
    void RefreshToolbarsList();
    // Enables Reset, Rename and Delete for the selected bar.
    void RefreshButtons();
    // The bar of the selected item, NULL without one.
    CXTPToolBar* GetSelectedToolBar() const;
    CXTPCommandBars* GetCommandBars() const;

    afx_msg void OnSelectionChanged();
    afx_msg void OnCheckChanged();
    afx_msg void OnNewToolbar();
    afx_msg void OnRenameToolbar();
    afx_msg void OnDeleteToolbar();
    afx_msg void OnResetToolbar();

    CXTPCustomizeSheet* m_pSheet;
    CXTPCustomizeToolbarsPageCheckListBox m_checkList;
    CButton m_btnReset;
    CButton m_btnRename;
    CButton m_btnDelete;
    CButton m_btnNew;

    DECLARE_MESSAGE_MAP()
};
