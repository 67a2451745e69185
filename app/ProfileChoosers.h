// Choosing profiles from the game's dialogs: filling a combo box with the
// profiles of a list by name (each entry's item data is the profile's
// index), and opening the list dialog of a profile kind.
#pragma once

#include "RookXTComboBox.h"

class CHTDataContainer;

// Empties the combo box, adds the name of every profile of the list in list
// order with the profile's index as its item data, and selects the first
// entry.
template <class TList>
void FillProfileCombo(CComboBox& combo, const TList& list)
{
    combo.ResetContent();
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
    {
        const auto& profile = list.GetNext(pos);
        const int nItem = combo.AddString(profile.m_strProfileName);
        if (nItem >= 0)
            combo.SetItemData(nItem, (DWORD_PTR)profile.m_nIndex);
    }
    combo.SetCurSel(0);
}

// The item data of a combo box's selected item; -1 without a selection.
int AFXAPI GetSelectedItemData(CComboBox& combo);

// Shows the list dialog of a profile kind (0 appearance, 1 difficulty)
// modally, its preview drawing pPreview (appearance only; may be null). On
// IDOK *pnSelectedIndex is the index of the profile chosen there. bAllowCopy
// enables the difficulty list's Copy button. Returns the dialog's result; -1
// when the dialog could not be shown. The list of that kind is stored as the
// dialog leaves it (once the profiles were read at start-up).
INT_PTR AFXAPI RunProfileListDlg(int nKind, CWnd* pParentWnd, CHTDataContainer* pPreview, int* pnSelectedIndex,
                                 BOOL bAllowCopy = TRUE);

// Replaces the list dialog (tests and unattended runs, where a modal dialog
// would block); NULL restores it. Returns the previous handler.
typedef INT_PTR(AFXAPI* PFN_RUNPROFILELIST)(int nKind, CWnd* pParentWnd, CHTDataContainer* pPreview,
                                            int* pnSelectedIndex, BOOL bAllowCopy);
PFN_RUNPROFILELIST AFXAPI SetProfileListHandler(PFN_RUNPROFILELIST pfnRun);
