// The new-puzzle dialog: the player picks the appearance and the difficulty
// profile of the puzzle about to be made. Each choice has a "..." button that
// opens the list of profiles of that kind; on return the combo box is
// refilled and, when the list was closed with OK, the profile chosen there is
// selected.
#pragma once

#include "FennDialog.h"
#include "AppearanceInfoDlgs.h"
#include "GradeInfoDlgs.h"
#include "ProfileChoosers.h"
#include "Vant_XTButton.h"
#include "resource.h"

class CNewPuzzleDlg : public CSubvertedHelpDlg
{
    DECLARE_DYNAMIC(CNewPuzzleDlg)
public:
    enum { IDD = IDD_NEW_PUZZLE };

    explicit CNewPuzzleDlg(CWnd* pParentWnd = NULL);
    virtual ~CNewPuzzleDlg();

    virtual BOOL OnInitDialog();

public:
    int m_nAppearanceIndex;     // chosen appearance profile; -1 until OK
    int m_nGradeIndex;          // chosen difficulty profile; -1 until OK
    CVant_XTButton m_btnOK;
    CVant_XTButton m_btnCancel;
    CVant_XTButton m_btnEditAppearance;   // 1025
    CVant_XTButton m_btnEditGrade;        // 1026
    CAppearanceInfoComboBox m_cbAppearance;   // 1023
    CGradeInfoComboBox m_cbGrade;             // 1024

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual void OnOK();
    afx_msg void OnEditAppearanceProfiles();
    afx_msg void OnEditDifficultyProfiles();
    DECLARE_MESSAGE_MAP()

    // The item data of the combo box's selected entry; -1 without one.
    static int AFX_CDECL GetSelectedData(CComboBox& combo);
};
