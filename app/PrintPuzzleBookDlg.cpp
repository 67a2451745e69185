// The puzzle book dialog.
#include "PrintPuzzleBookDlg.h"
#include "ProfileChoosers.h"

#include <stdlib.h>

#include "GameServices.h"
#include "PuzzlePrinting.h"

namespace
{
const char kCountOutOfRange[] = "Please enter a number between 1 and 10.";

struct ComboItem
{
    const char* pszText;
    int nData;
};

void FillCombo(CComboBox& combo, const ComboItem* pItems, int nCount)
{
    combo.ResetContent();
    for (int i = 0; i < nCount; i++)
    {
        int nItem = combo.AddString(pItems[i].pszText);
        if (nItem >= 0)
            combo.SetItemData(nItem, (DWORD_PTR)pItems[i].nData);
    }
    combo.SetCurSel(0);
}
} // namespace

void CPuzzlesPerPageComboBox::FillItems()
{
    static const ComboItem kItems[] = {{"1 Puzzle", 1}, {"2 Puzzles", 2}, {"4 Puzzles", 4}};
    FillCombo(*this, kItems, 3);
}

void CPrintSolutionsComboBox::FillItems()
{
    static const ComboItem kItems[] = {
        {"None", pbsNone}, {"After each puzzle", pbsAfterEach}, {"After all puzzles", pbsAfterAll}};
    FillCombo(*this, kItems, 3);
}

CPrintPuzzleBookDlg::CPrintPuzzleBookDlg(CWnd* pParentWnd) : CDialog(IDD, pParentWnd)
{
}

void CPrintPuzzleBookDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_BOOK_COUNT, m_strCount);
    DDX_Control(pDX, IDC_BOOK_PER_PAGE, m_cbPerPage);
    DDX_Control(pDX, IDC_BOOK_APPEARANCE, m_cbAppearance);
    DDX_Control(pDX, IDC_BOOK_DIFFICULTY, m_cbDifficulty);
    DDX_Control(pDX, IDC_BOOK_SOLUTIONS, m_cbSolutions);
    DDX_Control(pDX, IDOK, m_btnOK);
    DDX_Control(pDX, IDCANCEL, m_btnCancel);
}

BOOL CPrintPuzzleBookDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_cbPerPage.FillItems();
    m_cbAppearance.FillProfiles();
    m_cbDifficulty.FillProfiles();
    m_cbSolutions.FillItems();
    return TRUE;
}

int AFXAPI CPrintPuzzleBookDlg::ParseCount(const CString& strCount)
{
    return atoi(strCount);
}

void CPrintPuzzleBookDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    const int nCount = ParseCount(m_strCount);
    if (nCount < 1 || nCount > 10)
    {
        ShowInfoMessage(kCountOutOfRange);
        return;
    }
    const int nSolutions = GetSelectedItemData(m_cbSolutions);
    const int nGrade = GetSelectedItemData(m_cbDifficulty);
    const int nAppearance = GetSelectedItemData(m_cbAppearance);
    const int nPerPage = GetSelectedItemData(m_cbPerPage);
    BYTE bPageOpen = FALSE;
    PrintPuzzleBook(nCount, &bPageOpen, nPerPage, nAppearance, nGrade, nSolutions);
    EndDialog(IDOK);
}
