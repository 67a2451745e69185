// The player's appearance profiles: the list dialog with a live preview of
// the selected profile, the editor that creates or amends one profile in a
// property grid, the list control of the list dialog and the combo box that
// offers the profiles by name.
#pragma once

#include "HTPreviewCtrl.h"
#include "ProfilePropGrids.h"
#include "RookGeneric.h"
#include "RookXTComboBox.h"

class CHTDataContainer;

class CAppearanceInfoListCtrl : public CRookGenericListCtrl
{
    DECLARE_DYNAMIC(CAppearanceInfoListCtrl)
public:
    CAppearanceInfoListCtrl();

    // Columns "ID" (35 pixels) and "Name" (widened to fill the control).
    virtual void SetupColumns();
    // One row per profile of the application's list, its index as item data.
    virtual void FillRows();
    void AddRow(const CAppearanceInfo& profile);
};

class CAppearanceInfoListDlg : public CRookGenericListDlg
{
    DECLARE_DYNAMIC(CAppearanceInfoListDlg)
public:
    explicit CAppearanceInfoListDlg(CWnd* pParentWnd = NULL);
    virtual ~CAppearanceInfoListDlg();

    // The puzzle position the preview shows in the selected profile's
    // colours (a copy the opener owns); null shows nothing.
    void SetPreviewContainer(CHTDataContainer* pContainer);

    virtual BOOL OnInitDialog();

public:
    CVant_XTButton m_btnApply;               // 1 "Apply To Puzzle"
    CHTPreviewCtrl m_wndPreview;             // 1010
    CVant_XTButton m_btnCopy;                // 1011
    CHTDataContainer* m_pPreviewContainer;   // not owned

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    // Shows the selected row's profile in the preview.
    void UpdatePreview();

    afx_msg void OnApply();
    afx_msg void OnSelChanged(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnCopy();
    afx_msg void OnAmend();
    afx_msg BOOL OnHelpInfo(HELPINFO* pHelpInfo);
    DECLARE_MESSAGE_MAP()
};

class CAppearanceDlg : public CRookGenericInfoDlg
{
    DECLARE_DYNAMIC(CAppearanceDlg)
public:
    explicit CAppearanceDlg(CWnd* pParentWnd = NULL);
    virtual ~CAppearanceDlg();

    virtual void InitNewProfile();
    virtual void LoadProfile(int* pnKey);
    virtual void DeleteProfile(int* pnKey);
    virtual BOOL OnInitDialog();

public:
    CAppearanceInfo m_AppearanceInfo;   // the working copy
    CString m_strProfileName;           // 1004
    CStatic m_wndPlaceholder;           // 1005: the grid's place
    CVant_XTButton m_btnOK;
    CVant_XTButton m_btnCancel;
    CAppearancePropGrid m_wndGrid;      // 1013

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual void OnOK();
    afx_msg LRESULT OnGridNotify(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnHelpInfo(HELPINFO* pHelpInfo);
    DECLARE_MESSAGE_MAP()
};

// The appearance profiles by name, each entry's item data its index.
class CAppearanceInfoComboBox : public CRookXTComboBox
{
public:
    void FillProfiles();
};
