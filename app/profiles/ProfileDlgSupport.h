// What the appearance and difficulty profile dialogs share: the selected
// row of a list dialog, copying the selected profile, and committing the
// text typed in a profile grid.
#pragma once

#include "GameServices.h"
#include "XTPPropertyGrid.h"
#include "RookGeneric.h"
#include "resource.h"

// The item data (profile index) of the selected row; -1, after showing the
// string, when no row is selected.
int AFXAPI GetSelectedProfileIndex(CRookGenericListDlg& dlg, UINT nIDNoSelection);
// OK of a list dialog ("Apply To Puzzle", "Select"): the selected row's
// profile becomes the result and the dialog closes; without a selection
// string 5 is shown and the dialog stays.
void AFXAPI ChooseSelectedProfile(CRookGenericListDlg& dlg);
// Selects and focuses a row of the dialog's list and brings it into view.
void AFXAPI SelectProfileRow(CRookGenericListDlg& dlg, int nRow);
// Creates a profile editor's grid over its placeholder control (id 1013,
// the editor its parent and owner); FALSE when it cannot be made.
BOOL AFXAPI CreateProfileGrid(CXTPPropertyGrid& grid, CWnd& wndPlaceholder, CWnd* pParentWnd);
// Commits the text typed in a grid's editor, so that its owner's copy of
// the profile is complete before it is stored.
void AFXAPI CommitProfileGridEdit(CXTPPropertyGrid& grid);

// Appends "Copy of <name>" of the selected profile to the list (with the
// next free index), refills the rows and selects the new last row. Without a
// selection string 6 is shown and nothing is added.
template <class TProfile, class TList>
void CopySelectedProfile(CRookGenericListDlg& dlg, TList& list)
{
    int nIndex = GetSelectedProfileIndex(dlg, IDS_SELECT_ITEM_COPY);
    if (nIndex < 0)
        return;
    TProfile source;
    if (!list.FindProfile(nIndex, source))
        return;
    TProfile copy;
    copy.CopyFrom(source);
    copy.m_strProfileName = LoadResourceString(IDS_COPY_OF) + source.m_strProfileName;
    list.AddProfile(copy);
    dlg.RefreshList();
    if (dlg.m_pListCtrl != NULL)
        SelectProfileRow(dlg, dlg.m_pListCtrl->GetItemCount() - 1);
}

// Stores an editor's working copy: appended with the next free index when
// adding (edit mode 0), else copied over the profile of the same index
// (nothing when that profile is gone meanwhile).
template <class TProfile, class TList>
void StoreProfile(TList& list, const TProfile& working, int nEditMode)
{
    if (nEditMode == 0)
    {
        TProfile profile(working);
        list.AddProfile(profile);
        return;
    }
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
    {
        TProfile& profile = list.GetNext(pos);
        if (profile.m_nIndex == working.m_nIndex)
        {
            profile.CopyFrom(working);
            return;
        }
    }
}

// Copies the profile of the index into an editor's working copy and makes it
// the edited profile; nothing when the list has no such profile.
template <class TProfile, class TList>
BOOL LoadListProfile(const TList& list, const int* pnKey, TProfile& working, int& nItemKey)
{
    TProfile profile;
    if (pnKey == NULL || !list.FindProfile(*pnKey, profile))
        return FALSE;
    working.CopyFrom(profile);
    nItemKey = *pnKey;
    return TRUE;
}

// Empties a profile list control and adds one row per profile, in list order.
template <class TListCtrl, class TList>
void FillProfileRows(TListCtrl& listCtrl, const TList& list)
{
    listCtrl.DeleteAllItems();
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
        listCtrl.AddRow(list.GetNext(pos));
}

// One column of a profile list: its heading string and width in pixels.
struct ProfileColumn
{
    UINT nHeading;
    int nWidth;
};
// Sets up the columns of a profile list control (ids and display positions
// in the given order) and its two row colours.
void AFXAPI SetupProfileColumns(CFennListCtrlEx& listCtrl, const ProfileColumn* pColumns, int nColumns);
// Inserts the row whose values are set and gives it the profile index as
// its item data; the last column then fills the control.
void AFXAPI InsertProfileRow(CFennListCtrlEx& listCtrl, int nIndex);
