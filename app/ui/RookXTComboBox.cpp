// The game's combo box base.
#include "RookXTComboBox.h"

BOOL CRookComboBoxHelper::SelectItemByData(CComboBox* pCombo, const DWORD_PTR* pData)
{
    if (pCombo == NULL || pData == NULL || !::IsWindow(pCombo->GetSafeHwnd()))
        return FALSE;
    const int nCount = pCombo->GetCount();
    if (nCount < 1)
        return FALSE;
    for (int i = 0; i < nCount; i++)
    {
        if (pCombo->GetItemData(i) == *pData)
        {
            pCombo->SetCurSel(i);
            return TRUE;
        }
    }
    return FALSE;
}

IMPLEMENT_DYNAMIC(CRookXTComboBox, CXTFlatComboBox)

BEGIN_MESSAGE_MAP(CRookXTComboBox, CXTFlatComboBox)
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CRookXTComboBox::CRookXTComboBox() : m_clrEditBack(RGB(255, 255, 255)), m_clrEditText(RGB(0, 0, 0))
{
}

HBRUSH CRookXTComboBox::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    HBRUSH hBrush = CXTFlatComboBox::OnCtlColor(pDC, pWnd, nCtlColor);
    if (nCtlColor == CTLCOLOR_EDIT)
    {
        pDC->SetBkColor(m_clrEditBack);
        pDC->SetTextColor(m_clrEditText);
    }
    return hBrush;
}
