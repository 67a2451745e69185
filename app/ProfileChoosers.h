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

// Shows the list dialog of a profile kind (0 appearance, 1 difficulty)
// modally, its preview drawing pPreview (appearance only; may be null). On
// IDOK *pnSelectedIndex is the index of the profile chosen there. bAllowCopy
// enables the difficulty list's Copy button. Returns the dialog's result; -1
// when the dialog could not be shown.
INT_PTR AFXAPI RunProfileListDlg(int nKind, CWnd* pParentWnd, CHTDataContainer* pPreview, int* pnSelectedIndex,
                                 BOOL bAllowCopy = TRUE);
