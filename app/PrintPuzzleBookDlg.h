// The puzzle book dialog: how many puzzles, how many to a page, their
// profiles and where their solutions go; OK prints the book.
#pragma once

#include <afxwin.h>

#include "AppearanceInfoDlgs.h"
#include "ProfileChoosers.h"
#include "GradeInfoDlgs.h"
#include "RookXTComboBox.h"
#include "Vant_XTButton.h"
#include "resource.h"

// 1, 2 or 4 puzzles a page.
class CPuzzlesPerPageComboBox : public CRookXTComboBox
{
public:
    // Fills the three choices and selects the first.
    void FillItems();
};

// No solutions, after each puzzle, after all puzzles.
class CPrintSolutionsComboBox : public CRookXTComboBox
{
public:
    void FillItems();
};

class CPrintPuzzleBookDlg : public CDialog
{
public:
    enum { IDD = IDD_PRINT_BOOK };

    explicit CPrintPuzzleBookDlg(CWnd* pParentWnd = NULL);

    virtual BOOL OnInitDialog();

    // The number of puzzles typed in: the decimal value of its leading
    // digits (after blanks), 0 for a text without any.
    static int AFXAPI ParseCount(const CString& strCount);

public:
    CString m_strCount;
    CPuzzlesPerPageComboBox m_cbPerPage;
    CAppearanceInfoComboBox m_cbAppearance;
    CGradeInfoComboBox m_cbDifficulty;
    CPrintSolutionsComboBox m_cbSolutions;
    CVant_XTButton m_btnOK;
    CVant_XTButton m_btnCancel;

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual void OnOK();
};
