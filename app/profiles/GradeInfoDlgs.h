// The player's difficulty profiles: the list dialog, the editor that creates
// or amends one profile in a property grid and checks it, the list control
// and the combo box that offers the profiles by name.
#pragma once

#include "ProfilePropGrids.h"
#include "RookGeneric.h"
#include "RookXTComboBox.h"

class CGradeInfoListCtrl : public CRookGenericListCtrl
{
    DECLARE_DYNAMIC(CGradeInfoListCtrl)
public:
    CGradeInfoListCtrl();

    // Columns ID, Name, Columns, Rows, Target Comp'l Time and Force
    // Complete (widened to fill the control).
    virtual void SetupColumns();
    virtual void FillRows();
    void AddRow(const CGradeInfo& profile);
};

class CGradeInfoListDlg : public CRookGenericListDlg
{
    DECLARE_DYNAMIC(CGradeInfoListDlg)
public:
    explicit CGradeInfoListDlg(CWnd* pParentWnd = NULL);
    virtual ~CGradeInfoListDlg();

    virtual BOOL OnInitDialog();

public:
    CVant_XTButton m_btnSelect;   // 1 "Select"
    CVant_XTButton m_btnCopy;     // 1011
    BYTE m_bAllowCopy;            // TRUE; cleared when only managing the profiles

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    afx_msg void OnSelect();
    afx_msg void OnCopy();
    DECLARE_MESSAGE_MAP()
};

class CGradeInfoDlg : public CRookGenericInfoDlg
{
    DECLARE_DYNAMIC(CGradeInfoDlg)
public:
    explicit CGradeInfoDlg(CWnd* pParentWnd = NULL);
    virtual ~CGradeInfoDlg();

    virtual void InitNewProfile();
    virtual void LoadProfile(int* pnKey);
    virtual void DeleteProfile(int* pnKey);
    virtual BOOL OnInitDialog();

public:
    CGradeInfo m_GradeInfo;          // the working copy
    CVant_XTButton m_btnOK;
    CVant_XTButton m_btnCancel;
    CStatic m_wndPlaceholder;        // 1005: the grid's place
    CGradeInfoPropGrid m_wndGrid;    // 1013

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual void OnOK();
    afx_msg LRESULT OnGridNotify(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

// The difficulty profiles by name, each entry's item data its index.
class CGradeInfoComboBox : public CRookXTComboBox
{
public:
    void FillProfiles();
};
