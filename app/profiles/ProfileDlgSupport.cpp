// Shared parts of the profile dialogs.
#include "ProfileDlgSupport.h"
#include "XTPPropertyGrid.h"

int AFXAPI GetSelectedProfileIndex(CRookGenericListDlg& dlg, UINT nIDNoSelection)
{
    int nRow = dlg.m_pListCtrl != NULL && dlg.m_pListCtrl->GetSafeHwnd() != NULL
                   ? dlg.m_pListCtrl->GetNextItem(-1, LVNI_SELECTED)
                   : -1;
    if (nRow < 0)
    {
        ShowInfoMessage(LoadResourceString(nIDNoSelection), true);
        return -1;
    }
    return (int)dlg.m_pListCtrl->GetItemData(nRow);
}

void AFXAPI ChooseSelectedProfile(CRookGenericListDlg& dlg)
{
    if (!dlg.UpdateData(TRUE))
        return;
    int nIndex = GetSelectedProfileIndex(dlg, IDS_SELECT_ITEM_SELECT);
    if (nIndex < 0)
        return;
    dlg.m_nSelectedIndex = nIndex;
    dlg.EndDialog(IDOK);
}

void AFXAPI SetupProfileColumns(CFennListCtrlEx& listCtrl, const ProfileColumn* pColumns, int nColumns)
{
    listCtrl.m_clrEvenRowBack = RGB(198, 198, 198);
    listCtrl.m_clrOddRowBack = RGB(181, 189, 210);
    listCtrl.m_listColumns.RemoveAll();
    listCtrl.SetColumnOrderSize(&nColumns);
    listCtrl.m_nPositionCount = nColumns;
    for (int i = 0; i < nColumns; i++)
    {
        CListCtrlColumnInfo column(i, i, pColumns[i].nWidth, LoadResourceString(pColumns[i].nHeading));
        column.m_strSecondText = column.m_strHeading;
        listCtrl.m_listColumns.Add(column);
    }
    listCtrl.RebuildColumns();
}

void AFXAPI InsertProfileRow(CFennListCtrlEx& listCtrl, int nIndex)
{
    int nRow = listCtrl.InsertRow();
    if (nRow < 0)
    {
        TRACE("profile list: no row for profile %d\n", nIndex);
        return;
    }
    listCtrl.SetItemData(nRow, (DWORD_PTR)nIndex);
    listCtrl.FitLastColumn();
}

void AFXAPI SelectProfileRow(CRookGenericListDlg& dlg, int nRow)
{
    if (dlg.m_pListCtrl == NULL || dlg.m_pListCtrl->GetSafeHwnd() == NULL || nRow < 0)
        return;
    dlg.m_pListCtrl->SetItemState(nRow, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    dlg.m_pListCtrl->EnsureVisible(nRow, FALSE);
}

BOOL AFXAPI CreateProfileGrid(CXTPPropertyGrid& grid, CWnd& wndPlaceholder, CWnd* pParentWnd)
{
    CRect rcGrid;
    wndPlaceholder.GetWindowRect(&rcGrid);
    pParentWnd->ScreenToClient(&rcGrid);
    if (!grid.Create(rcGrid, pParentWnd, IDC_PROFILE_GRID, 0))
    {
        TRACE("profile editor: the grid could not be created\n");
        return FALSE;
    }
    return TRUE;
}

void AFXAPI CommitProfileGridEdit(CXTPPropertyGrid& grid)
{
    if (grid.GetSafeHwnd() == NULL)
        return;
    CXTPPropertyGridItem* pItem = grid.GetSelectedItem();
    if (pItem != NULL && grid.GetInplaceEdit().GetItem() == pItem)
    {
        pItem->OnValidateEdit();
        pItem->OnSelect();
    }
}
