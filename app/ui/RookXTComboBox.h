// The base of the game's combo boxes: the toolkit's flat combo box with
// fixed colours for its edit field, and a helper that selects the entry
// carrying a given item data value.
#pragma once

#include "XTFlatComboBox.h"

class CRookComboBoxHelper
{
public:
    virtual ~CRookComboBoxHelper() {}

    // Selects the first entry whose item data equals *pData and answers
    // TRUE; FALSE (and the selection unchanged) for an empty list or when no
    // entry matches.
    BOOL SelectItemByData(CComboBox* pCombo, const DWORD_PTR* pData);
};

class CRookXTComboBox : public CXTFlatComboBox, public CRookComboBoxHelper
{
    DECLARE_DYNAMIC(CRookXTComboBox)
public:
    CRookXTComboBox();

public:
    COLORREF m_clrEditBack;    // background of the edit field (white)
    COLORREF m_clrEditText;    // text of the edit field (black)

protected:
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()
};
