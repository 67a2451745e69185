// Property grid items, their collection, constraints, and the Number and Bool items.
#include "XTPPropertyGrid.h"
#include "XTPImageManager.h"
#include "XTPResourceManager.h"

#include <stdlib.h>
#include <vssym32.h>

//////////////////////////////////////////////////////////////////////////
// Accessibility face shared by the grid's objects

DWORD AFX_CDECL XTPPropertyGridQueryAccessible(CXTPAccessible* pAccessible, const void* iid, LPVOID* ppvObj)
{
    const IID& riid = *static_cast<const IID*>(iid);
    if (IsEqualIID(riid, IID_IAccessible) || IsEqualIID(riid, IID_IDispatch) || IsEqualIID(riid, IID_IUnknown))
    {
        *ppvObj = pAccessible->GetAccessible();
        pAccessible->GetAccessibleCmdTarget()->ExternalAddRef();
        return S_OK;
    }
    *ppvObj = NULL;
    return (DWORD)E_NOINTERFACE;
}

namespace
{
// A process-wide in-place edit and list for items that belong to no grid.
CXTPPropertyGridInplaceEdit& DetachedInplaceEdit()
{
    static CXTPPropertyGridInplaceEdit* s_pEdit = new CXTPPropertyGridInplaceEdit();
    return *s_pEdit;
}

CXTPPropertyGridInplaceList& DetachedInplaceList()
{
    static CXTPPropertyGridInplaceList* s_pList = new CXTPPropertyGridInplaceList();
    return *s_pList;
}

HRESULT SetBstr(BSTR* pbstr, const CString& str)
{
    if (pbstr == NULL)
        return E_POINTER;
    *pbstr = str.AllocSysString();
    return S_OK;
}

int CompareItemCaptions(const void* pA, const void* pB)
{
    const CXTPPropertyGridItem* pItemA = *(CXTPPropertyGridItem* const*)pA;
    const CXTPPropertyGridItem* pItemB = *(CXTPPropertyGridItem* const*)pB;
    return strcmp(pItemA->GetCaption(), pItemB->GetCaption());
}

int CompareConstraintTexts(const void* pA, const void* pB)
{
    const CXTPPropertyGridItemConstraint* pA1 = *(CXTPPropertyGridItemConstraint* const*)pA;
    const CXTPPropertyGridItemConstraint* pB1 = *(CXTPPropertyGridItemConstraint* const*)pB;
    return strcmp(pA1->m_strConstraint, pB1->m_strConstraint);
}
} // namespace

//////////////////////////////////////////////////////////////////////////
// CXTPPropertyGridItemConstraint

CXTPPropertyGridItemConstraint::CXTPPropertyGridItemConstraint()
    : m_dwData(0), m_nImage(-1), m_nIndex(0), m_pItem(NULL)
{
}

CXTPImageManagerIcon* CXTPPropertyGridItemConstraint::GetImage() const
{
    if (m_pItem == NULL || m_nImage == -1 || m_pItem->GetGridView() == NULL)
        return NULL;
    return m_pItem->GetGridView()->GetImageManager()->GetImage(m_nImage, 0);
}

//////////////////////////////////////////////////////////////////////////
// CXTPPropertyGridItemConstraints

CXTPPropertyGridItemConstraints::CXTPPropertyGridItemConstraints(CXTPPropertyGridItem* pItem)
    : m_nCurrent(-1), m_pItem(pItem)
{
}

CXTPPropertyGridItemConstraints::~CXTPPropertyGridItemConstraints()
{
    m_pItem = NULL;
    RemoveAll();
}

CXTPPropertyGridItemConstraint* CXTPPropertyGridItemConstraints::AddConstraint(LPCTSTR lpszConstraint,
                                                                               DWORD_PTR dwData, int nImage)
{
    CXTPPropertyGridItemConstraint* pConstraint = new CXTPPropertyGridItemConstraint();
    pConstraint->m_strConstraint = lpszConstraint != NULL ? lpszConstraint : "";
    pConstraint->m_dwData = dwData;
    pConstraint->m_nImage = nImage;
    pConstraint->m_nIndex = GetCount();
    pConstraint->m_pItem = m_pItem;
    m_arrConstraints.Add(pConstraint);
    if (m_pItem != NULL)
        m_pItem->OnConstraintsChanged();
    return pConstraint;
}

void CXTPPropertyGridItemConstraints::RemoveAll()
{
    for (int i = 0; i < GetCount(); i++)
        m_arrConstraints[i]->InternalRelease();
    m_arrConstraints.RemoveAll();
    m_nCurrent = -1;
    if (m_pItem != NULL)
        m_pItem->OnConstraintsChanged();
}

CString CXTPPropertyGridItemConstraints::GetAt(int nIndex) const
{
    CXTPPropertyGridItemConstraint* pConstraint = GetConstraintAt(nIndex);
    return pConstraint != NULL ? pConstraint->m_strConstraint : CString();
}

CXTPPropertyGridItemConstraint* CXTPPropertyGridItemConstraints::GetConstraintAt(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetCount())
        return NULL;
    return m_arrConstraints[nIndex];
}

int CXTPPropertyGridItemConstraints::FindConstraint(LPCTSTR lpszConstraint) const
{
    for (int i = 0; i < GetCount(); i++)
    {
        if (m_arrConstraints[i]->m_strConstraint.CompareNoCase(lpszConstraint) == 0)
            return i;
    }
    return -1;
}

int CXTPPropertyGridItemConstraints::FindConstraint(DWORD_PTR dwData) const
{
    for (int i = 0; i < GetCount(); i++)
    {
        if (m_arrConstraints[i]->m_dwData == dwData)
            return i;
    }
    return -1;
}

void CXTPPropertyGridItemConstraints::Sort()
{
    if (GetCount() < 2)
        return;
    qsort(m_arrConstraints.GetData(), (size_t)GetCount(), sizeof(CXTPPropertyGridItemConstraint*),
          &CompareConstraintTexts);
    for (int i = 0; i < GetCount(); i++)
        m_arrConstraints[i]->m_nIndex = i;
}

void CXTPPropertyGridItemConstraints::DetachItem()
{
    m_pItem = NULL;
    for (int i = 0; i < GetCount(); i++)
        m_arrConstraints[i]->m_pItem = NULL;
}

//////////////////////////////////////////////////////////////////////////
// CXTPPropertyGridItems

CXTPPropertyGridItems::CXTPPropertyGridItems()
{
}

CXTPPropertyGridItems::~CXTPPropertyGridItems()
{
    Clear();
}

CXTPPropertyGridItem* CXTPPropertyGridItems::GetAt(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetCount())
        return NULL;
    return m_arrItems[nIndex];
}

void CXTPPropertyGridItems::Clear()
{
    if (GetCount() == 0)
        return;

    CXTPPropertyGridView* pView = m_arrItems[0]->m_pGrid;
    if (pView != NULL)
    {
        if (pView->m_nLockUpdate == 0)
            pView->Refresh();
        pView->m_nLockUpdate++;
    }

    // The items are taken out first, so that nothing reached from a
    // detaching item walks a half-emptied collection.
    CArray<CXTPPropertyGridItem*, CXTPPropertyGridItem*> arrItems;
    arrItems.Append(m_arrItems);
    m_arrItems.RemoveAll();
    for (INT_PTR i = 0; i < arrItems.GetSize(); i++)
    {
        arrItems[i]->Clear();
        arrItems[i]->InternalRelease();
    }

    if (pView != NULL)
    {
        if (--pView->m_nLockUpdate == 0)
            pView->EndUpdate();
    }
}

void CXTPPropertyGridItems::AddTail(CXTPPropertyGridItems* pItems)
{
    if (pItems == NULL)
        return;
    for (int i = 0; i < pItems->GetCount(); i++)
        m_arrItems.Add(pItems->m_arrItems[i]);
}

void CXTPPropertyGridItems::Sort()
{
    if (GetCount() < 2)
        return;
    qsort(m_arrItems.GetData(), (size_t)GetCount(), sizeof(CXTPPropertyGridItem*), &CompareItemCaptions);
}

CXTPPropertyGridItem* CXTPPropertyGridItems::FindItem(UINT nID) const
{
    for (int i = 0; i < GetCount(); i++)
    {
        CXTPPropertyGridItem* pItem = m_arrItems[i];
        if (pItem->GetID() == nID)
            return pItem;
        CXTPPropertyGridItem* pChild = pItem->GetChilds()->FindItem(nID);
        if (pChild != NULL)
            return pChild;
    }
    return NULL;
}

CXTPPropertyGridItem* CXTPPropertyGridItems::FindItem(LPCTSTR lpszCaption) const
{
    for (int i = 0; i < GetCount(); i++)
    {
        CXTPPropertyGridItem* pItem = m_arrItems[i];
        if (pItem->GetCaption() == lpszCaption)
            return pItem;
        CXTPPropertyGridItem* pChild = pItem->GetChilds()->FindItem(lpszCaption);
        if (pChild != NULL)
            return pChild;
    }
    return NULL;
}

void CXTPPropertyGridItems::InsertAt(int nIndex, CXTPPropertyGridItem* pItem)
{
    if (nIndex < 0 || nIndex > GetCount())
        nIndex = GetCount();
    m_arrItems.InsertAt(nIndex, pItem);
}

int CXTPPropertyGridItems::Find(const CXTPPropertyGridItem* pItem) const
{
    for (int i = 0; i < GetCount(); i++)
    {
        if (m_arrItems[i] == pItem)
            return i;
    }
    return -1;
}

//////////////////////////////////////////////////////////////////////////
// CXTPPropertyGridItem

CXTPPropertyGridItem::CXTPPropertyGridItem(LPCTSTR lpszCaption, LPCTSTR strValue, CString* pBindString)
    : m_bConstraintEdit(FALSE), m_nIndex(-1), m_nIndent(0), m_nID(0), m_nFlags(xtpPropertyGridItemEdit),
      m_bReadOnly(FALSE), m_bVisible(FALSE), m_bCategory(FALSE), m_bExpanded(FALSE), m_pParent(NULL),
      m_pGrid(NULL), m_pValueMetrics(NULL), m_pCaptionMetrics(NULL), m_nDropDownItemCount(10),
      m_pBindString(NULL), m_chPrompt('*'), m_bUseMask(FALSE), m_bPassword(FALSE), m_bHidden(FALSE),
      m_nHeight(-1), m_nLinesCount(1), m_dwEditStyle(0)
{
    EnableAutomation();
    m_pChilds = new CXTPPropertyGridItems();
    m_pConstraints = new CXTPPropertyGridItemConstraints(this);
    m_pInplaceButtons = new CXTPPropertyGridInplaceButtons(this);

    SetPrompt(lpszCaption);
    m_strValue = strValue != NULL ? strValue : "";
    m_strDefaultValue = m_strValue;
    BindToString(pBindString);
}

CXTPPropertyGridItem::~CXTPPropertyGridItem()
{
    Clear();
    m_pChilds->InternalRelease();
    m_pConstraints->DetachItem();
    m_pConstraints->InternalRelease();
    m_pInplaceButtons->InternalRelease();
}

void CXTPPropertyGridItem::Clear()
{
    if (m_pGrid != NULL)
    {
        if (m_pGrid->m_pSelected == this)
            m_pGrid->m_pSelected = NULL;
        if (m_pGrid->m_pFocusedButton != NULL && m_pGrid->m_pFocusedButton->GetItem() == this)
            m_pGrid->m_pFocusedButton = NULL;
        if (m_pGrid->m_pHotButton != NULL && m_pGrid->m_pHotButton->GetItem() == this)
            m_pGrid->m_pHotButton = NULL;
        CXTPPropertyGrid* pGrid = m_pGrid->GetGrid();
        if (pGrid != NULL)
        {
            if (pGrid->GetInplaceList().GetItem() == this)
                pGrid->GetInplaceList().DestroyItem();
            if (pGrid->GetInplaceEdit().GetItem() == this)
                pGrid->GetInplaceEdit().DestroyItem();
        }
    }

    m_pChilds->Clear();
    m_pConstraints->RemoveAll();
    if (m_pValueMetrics != NULL)
    {
        m_pValueMetrics->InternalRelease();
        m_pValueMetrics = NULL;
    }
    if (m_pCaptionMetrics != NULL)
    {
        m_pCaptionMetrics->InternalRelease();
        m_pCaptionMetrics = NULL;
    }
    m_pInplaceButtons->RemoveAll();
    m_pGrid = NULL;
    m_bVisible = FALSE;
}

CXTPPropertyGrid* CXTPPropertyGridItem::GetGrid() const
{
    return m_pGrid != NULL ? m_pGrid->GetGrid() : NULL;
}

LRESULT CXTPPropertyGridItem::NotifyGrid(WPARAM nCode, LPARAM lParam) const
{
    return m_pGrid != NULL ? m_pGrid->SendNotifyMessage(nCode, lParam) : 0;
}

void CXTPPropertyGridItem::SetPrompt(LPCTSTR lpszPrompt)
{
    if (lpszPrompt == NULL)
        return;
    CString strPrompt(lpszPrompt);
    int nNewLine = strPrompt.Find('\n');
    if (nNewLine == -1)
        m_strCaption = strPrompt;
    else
    {
        m_strCaption = strPrompt.Left(nNewLine);
        m_strDescription = strPrompt.Mid(nNewLine + 1);
    }
}

void CXTPPropertyGridItem::SetFlags(DWORD nFlags)
{
    m_nFlags = nFlags;
    m_pInplaceButtons->RemoveByID(XTP_ID_PROPERTYGRID_EXPANDBUTTON);
    m_pInplaceButtons->RemoveByID(XTP_ID_PROPERTYGRID_COMBOBUTTON);
    if (m_bCategory)
        return;
    if (nFlags & xtpPropertyGridItemExpandButton)
        m_pInplaceButtons->AddExpandButton();
    if (nFlags & xtpPropertyGridItemComboButton)
        m_pInplaceButtons->AddComboButton();
}

void CXTPPropertyGridItem::SetReadOnly(BOOL bReadOnly)
{
    if (m_bReadOnly == bReadOnly)
        return;
    m_bReadOnly = bReadOnly;
    if (m_pGrid != NULL && m_pGrid->GetSafeHwnd() != NULL)
    {
        if (IsSelected())
        {
            OnDeselect();
            OnSelect();
        }
        m_pGrid->Invalidate(FALSE);
    }
}

BOOL CXTPPropertyGridItem::HasChilds() const
{
    return m_pChilds->GetCount() > 0;
}

void CXTPPropertyGridItem::BindToString(CString* pBindString)
{
    m_pBindString = pBindString;
    if (m_pBindString != NULL)
        *m_pBindString = m_strValue;
}

BOOL CXTPPropertyGridItem::IsSelected() const
{
    if (m_pGrid == NULL || m_pGrid->GetSafeHwnd() == NULL)
        return FALSE;
    return m_pGrid->GetSelectedItem() == this;
}

BOOL CXTPPropertyGridItem::HasParent(CXTPPropertyGridItem* pParent) const
{
    for (CXTPPropertyGridItem* p = m_pParent; p != NULL; p = p->m_pParent)
    {
        if (p == pParent)
            return TRUE;
    }
    return FALSE;
}

void CXTPPropertyGridItem::Select()
{
    if (m_pGrid == NULL || m_pGrid->GetSafeHwnd() == NULL || !m_bVisible)
        return;
    m_pGrid->SetCurSel(m_nIndex);
    m_pGrid->OnSelectionChanged();
}

CRect CXTPPropertyGridItem::GetItemRect() const
{
    CRect rc(0, 0, 0, 0);
    if (m_pGrid != NULL && m_pGrid->GetSafeHwnd() != NULL && m_bVisible && m_nIndex >= 0)
        m_pGrid->GetItemRect(m_nIndex, rc);
    return rc;
}

BOOL CXTPPropertyGridItem::PtInValueRect(CPoint point)
{
    return GetValueRect().PtInRect(point);
}

CRect CXTPPropertyGridItem::GetValueRect()
{
    CRect rc = GetItemRect();
    if (m_pGrid == NULL)
        return rc;
    rc.left = m_pGrid->GetDividerPos() + 1;
    rc.top += 1;
    rc.bottom -= 1;
    if (IsInplaceButtonVisible())
        rc.right -= m_pInplaceButtons->GetWidth();
    if (m_pGrid->GetPaintManager() != NULL)
        m_pGrid->GetPaintManager()->AdjustItemValueRect(this, rc);
    return rc;
}

void CXTPPropertyGridItem::SetValue(CString strValue)
{
    m_strValue = strValue;
    if (m_pBindString != NULL)
        *m_pBindString = strValue;
    SetEditText(strValue);
    if (m_pGrid != NULL && m_pGrid->GetSafeHwnd() != NULL)
        m_pGrid->Invalidate(FALSE);
}

void CXTPPropertyGridItem::OnValueChanged(CString strValue)
{
    // The owner's answer to the notification may release the grid's content;
    // the item stays alive until this call returns.
    InternalAddRef();
    SetValue(strValue);
    if (m_pGrid != NULL && m_pGrid->GetSafeHwnd() != NULL)
        m_pGrid->Invalidate(FALSE);
    NotifyGrid(XTP_PGN_ITEMVALUE_CHANGED, (LPARAM)this);
    InternalRelease();
}

BOOL CXTPPropertyGridItem::OnDrawItemValue(CDC& /*dc*/, CRect /*rcValue*/)
{
    return FALSE;
}

void CXTPPropertyGridItem::OnDrawItemConstraint(CDC* pDC, CXTPPropertyGridItemConstraint* pConstraint, CRect rc,
                                                BOOL bSelected)
{
    if (m_pGrid != NULL && m_pGrid->GetPaintManager() != NULL)
        m_pGrid->GetPaintManager()->DrawInplaceListItem(pDC, pConstraint, rc, bSelected);
}

CSize CXTPPropertyGridItem::OnMeasureItemConstraint(CDC* pDC, CXTPPropertyGridItemConstraint* pConstraint)
{
    CSize sz = pDC->GetTextExtent(pConstraint->m_strConstraint);
    return CSize(sz.cx + 2 * ::GetSystemMetrics(SM_CXHTHUMB), sz.cy + 3);
}

void CXTPPropertyGridItem::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    if (m_nHeight != -1)
        lpMeasureItemStruct->itemHeight = m_nHeight;
    else if (m_nLinesCount > 1)
        lpMeasureItemStruct->itemHeight = (lpMeasureItemStruct->itemHeight - 4) * m_nLinesCount + 4;
}

BOOL CXTPPropertyGridItem::IsValueChanged()
{
    return m_strValue != m_strDefaultValue;
}

void CXTPPropertyGridItem::ResetValue()
{
    OnValueChanged(m_strDefaultValue);
}

CString CXTPPropertyGridItem::GetViewValue()
{
    if (m_bPassword)
        return CString(m_chPrompt, m_strValue.GetLength());
    return m_strValue;
}

CXTPPropertyGridInplaceEdit& CXTPPropertyGridItem::GetInplaceEdit()
{
    CXTPPropertyGrid* pGrid = GetGrid();
    return pGrid != NULL ? pGrid->GetInplaceEdit() : DetachedInplaceEdit();
}

CXTPPropertyGridInplaceList& CXTPPropertyGridItem::GetInplaceList()
{
    CXTPPropertyGrid* pGrid = GetGrid();
    return pGrid != NULL ? pGrid->GetInplaceList() : DetachedInplaceList();
}

void CXTPPropertyGridItem::SetFocusToInplaceControl()
{
    CXTPPropertyGridInplaceEdit& wndEdit = GetInplaceEdit();
    if (wndEdit.GetSafeHwnd() == NULL || wndEdit.GetItem() != this)
        return;
    wndEdit.SetFocus();
    wndEdit.SetSel(0, -1);
    wndEdit.SendMessage(EM_SCROLLCARET);
}

BOOL CXTPPropertyGridItem::IsInplaceButtonVisible()
{
    if (m_pGrid == NULL || m_bReadOnly || m_pInplaceButtons->GetCount() == 0)
        return FALSE;
    CXTPPropertyGrid* pGrid = GetGrid();
    return IsSelected() || (pGrid != NULL && pGrid->GetShowInplaceButtonsAlways());
}

BOOL CXTPPropertyGridItem::NotifyEditRequest(WPARAM nCode, CString* pstrValue)
{
    XTP_PROPERTYGRID_EDITREQUEST request;
    request.bCancel = FALSE;
    request.pItem = this;
    if (pstrValue != NULL)
        request.strValue = *pstrValue;
    NotifyGrid(nCode, (LPARAM)&request);
    if (pstrValue != NULL)
        *pstrValue = request.strValue;
    return !request.bCancel;
}

BOOL CXTPPropertyGridItem::OnRequestEdit()
{
    return NotifyEditRequest(XTP_PGN_REQUESTEDIT, NULL);
}

BOOL CXTPPropertyGridItem::OnAfterEdit(CString& strValue)
{
    return NotifyEditRequest(XTP_PGN_AFTEREDIT, &strValue);
}

void CXTPPropertyGridItem::OnCancelEdit()
{
    NotifyEditRequest(XTP_PGN_CANCELEDIT, NULL);
}

DWORD CXTPPropertyGridItem::GetEditStyle() const
{
    DWORD dwStyle = WS_CHILD | ES_AUTOHSCROLL | m_dwEditStyle;
    if (m_bPassword)
        dwStyle |= ES_PASSWORD;
    if (m_nLinesCount > 1)
        dwStyle |= ES_MULTILINE;
    return dwStyle;
}

void CXTPPropertyGridItem::OnSelect()
{
    CXTPPropertyGridInplaceEdit& wndEdit = GetInplaceEdit();
    if ((m_nFlags & xtpPropertyGridItemEdit) == 0)
    {
        wndEdit.HideWindow();
        return;
    }
    wndEdit.SetValue(m_strValue);
    wndEdit.Create(this, GetValueRect());
    if (wndEdit.GetSafeHwnd() != NULL && wndEdit.GetItem() == this)
        wndEdit.SendMessage(EM_SETREADONLY, (m_bReadOnly || m_bConstraintEdit) ? TRUE : FALSE);
}

void CXTPPropertyGridItem::OnDeselect()
{
    if (m_pGrid != NULL)
        m_pGrid->SetFocusedButton(NULL);
    OnValidateEdit();
}

void CXTPPropertyGridItem::OnValidateEdit()
{
    CXTPPropertyGridInplaceEdit& wndEdit = GetInplaceEdit();
    wndEdit.HideWindow();
    if (wndEdit.GetSafeHwnd() == NULL || wndEdit.GetItem() != this)
        return;

    CString strValue;
    wndEdit.GetWindowText(strValue);
    BOOL bChanged = wndEdit.IsEditChanged();
    wndEdit.SetItem(NULL);

    if (wndEdit.IsEditCancelled())
        OnCancelEdit();
    else if (bChanged)
    {
        InternalAddRef();
        if (OnAfterEdit(strValue) && strValue != m_strValue && !wndEdit.IsEditCancelled())
            OnValueChanged(strValue);
        InternalRelease();
    }
}

void CXTPPropertyGridItem::SetEditText(const CString& str)
{
    CXTPPropertyGridInplaceEdit& wndEdit = GetInplaceEdit();
    if (wndEdit.GetSafeHwnd() != NULL && wndEdit.GetItem() == this)
    {
        wndEdit.SetValue(str);
        wndEdit.SetWindowText(str);
    }
}

void CXTPPropertyGridItem::UpdateFromBoundValue()
{
    if (m_pBindString != NULL && *m_pBindString != m_strValue)
        m_strValue = *m_pBindString;
}

BOOL CXTPPropertyGridItem::OnChar(UINT nChar)
{
    if ((m_nFlags & xtpPropertyGridItemEdit) && nChar != VK_ESCAPE)
    {
        OnSelect();
        CXTPPropertyGridInplaceEdit& wndEdit = GetInplaceEdit();
        if (wndEdit.GetSafeHwnd() != NULL && wndEdit.IsWindowVisible() && wndEdit.GetItem() == this)
        {
            wndEdit.SetFocus();
            wndEdit.SetSel(0, -1);
            wndEdit.SendMessage(EM_SCROLLCARET);
            if (nChar != VK_TAB)
                wndEdit.SendMessage(WM_CHAR, nChar);
        }
        return TRUE;
    }
    if (nChar == VK_TAB && m_pInplaceButtons->GetCount() > 0 && GetGrid() != NULL)
        GetGrid()->OnNavigate(xtpGridNavigateEdit, TRUE, this);
    return FALSE;
}

void CXTPPropertyGridItem::OnLButtonDblClk(UINT /*nFlags*/, CPoint point)
{
    if (m_pInplaceButtons->HitTest(point) != NULL)
    {
        OnSelect();
        return;
    }
    if (HasChilds())
    {
        if (m_bExpanded)
            Collapse();
        else
            Expand();
        return;
    }

    OnSelect();
    if (m_nFlags & xtpPropertyGridItemEdit)
    {
        CXTPPropertyGridInplaceEdit& wndEdit = GetInplaceEdit();
        if (wndEdit.GetSafeHwnd() != NULL && wndEdit.IsWindowVisible() && wndEdit.GetItem() == this)
        {
            wndEdit.SetFocus();
            if (!m_bReadOnly && wndEdit.SelectConstraints(+1, TRUE))
            {
                InternalAddRef();
                OnValidateEdit();
                // The editor shows the new value again where the row still is.
                if (IsSelected())
                    OnSelect();
                InternalRelease();
            }
            else
            {
                wndEdit.SetSel(0, -1);
                wndEdit.SendMessage(EM_SCROLLCARET);
            }
        }
    }
    else if (!m_bReadOnly)
        SelectNextConstraint();
}

BOOL CXTPPropertyGridItem::OnLButtonDown(UINT nFlags, CPoint point)
{
    BOOL bWasSelected = IsSelected();
    Select();

    CXTPPropertyGridInplaceButton* pButton = m_pInplaceButtons->HitTest(point);
    if (pButton != NULL && IsInplaceButtonVisible())
    {
        CXTPPropertyGrid* pGrid = GetGrid();
        if (!bWasSelected && (pGrid == NULL || !pGrid->GetShowInplaceButtonsAlways()))
            return TRUE;
        pButton->OnLButtonDown(nFlags, point);
        return TRUE;
    }

    int nGlyphLeft = (m_nIndent - (m_bCategory ? 0 : 1)) * XTP_PGI_EXPAND_BORDER;
    if (point.x >= nGlyphLeft && point.x <= nGlyphLeft + XTP_PGI_EXPAND_BORDER)
    {
        if (m_bExpanded)
            Collapse();
        else
            Expand();
    }

    if ((m_nFlags & xtpPropertyGridItemEdit) && PtInValueRect(point))
        ForwardClickToInplaceEdit(point);
    return TRUE;
}

void CXTPPropertyGridItem::ForwardClickToInplaceEdit(CPoint point)
{
    CXTPPropertyGridInplaceEdit& wndEdit = GetInplaceEdit();
    if (m_pGrid == NULL || wndEdit.GetSafeHwnd() == NULL || !wndEdit.IsWindowVisible() || wndEdit.GetItem() != this)
        return;
    const BOOL bSwapped = ::GetSystemMetrics(SM_SWAPBUTTON);
    const BOOL bButtonDown = (::GetAsyncKeyState(bSwapped ? VK_RBUTTON : VK_LBUTTON) & 0x8000) != 0;

    // Where the pointer now lies over the edit, the press is made again as
    // input: the system then sees it on the edit, and the user's next press
    // there comes as a double click (a press sent to the edit directly
    // leaves the system pairing that next press with this one on the view,
    // and a double click on the value of a row not yet selected would only
    // select it). A release the user has already made is made again too,
    // so that the edit holds no press.
    POINT ptCursor;
    if (::GetCursorPos(&ptCursor) && ::WindowFromPoint(ptCursor) == wndEdit.GetSafeHwnd())
    {
        INPUT inputs[2];
        ZeroMemory(inputs, sizeof(inputs));
        inputs[0].type = inputs[1].type = INPUT_MOUSE;
        inputs[0].mi.dwFlags = bSwapped ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
        inputs[1].mi.dwFlags = bSwapped ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
        if (::SendInput(bButtonDown ? 1 : 2, inputs, sizeof(INPUT)) != 0)
            return;
    }

    // Otherwise (the press came from no pointer: keyboard accessibility, a
    // program; or the input was refused) the press goes to the edit itself,
    // since synthesised input would land at the real pointer, which may lie
    // over another window; one that did not come from the physical button
    // is completed here, so the edit keeps no capture.
    CPoint pt = point;
    ::MapWindowPoints(m_pGrid->GetSafeHwnd(), wndEdit.GetSafeHwnd(), &pt, 1);
    LPARAM lParam = MAKELPARAM((short)pt.x, (short)pt.y);
    wndEdit.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, lParam);
    if (wndEdit.GetSafeHwnd() != NULL && !bButtonDown)
        wndEdit.SendMessage(WM_LBUTTONUP, 0, lParam);
}

void CXTPPropertyGridItem::OnFlagsRefresh()
{
    if (!m_bCategory)
        SetFlags(m_nFlags);
}

void CXTPPropertyGridItem::OnInplaceButtonDown(CXTPPropertyGridInplaceButton* pButton)
{
    if (m_bReadOnly || pButton == NULL)
        return;
    if (NotifyGrid(XTP_PGN_INPLACEBUTTONDOWN, (LPARAM)pButton) == TRUE)
        return;
    if (pButton->GetID() == XTP_ID_PROPERTYGRID_COMBOBUTTON && m_pConstraints->GetCount() > 0 && OnRequestEdit())
    {
        GetInplaceList().Create(this, GetItemRect());
        if (m_pGrid != NULL && m_pGrid->GetSafeHwnd() != NULL)
            m_pGrid->Invalidate(FALSE);
    }
}

void CXTPPropertyGridItem::Expand()
{
    if (m_bExpanded)
        return;
    InternalAddRef();
    if (m_pGrid != NULL && !m_pGrid->IsLocked() && m_pGrid->GetSafeHwnd() != NULL && m_bVisible)
    {
        // Rows are inserted before the flag is set: the item's own children
        // are listed here, those of expanded children by InsertItem.
        int nIndex = m_nIndex + 1;
        for (int i = 0; i < m_pChilds->GetCount(); i++)
            nIndex += m_pGrid->InsertItem(m_pChilds->GetAt(i), nIndex);
        m_pGrid->RefreshIndexes();
        m_pGrid->OnSelectionChanged();
    }
    m_bExpanded = TRUE;
    NotifyGrid(XTP_PGN_ITEMEXPANDCHANGED, (LPARAM)this);
    InternalRelease();
}

void CXTPPropertyGridItem::Collapse()
{
    if (!m_bExpanded)
        return;
    InternalAddRef();
    if (m_pGrid != NULL && !m_pGrid->IsLocked() && m_pGrid->GetSafeHwnd() != NULL && m_bVisible)
    {
        m_pGrid->RemoveChildren(this);
        m_pGrid->RefreshIndexes();
        m_pGrid->OnSelectionChanged();
    }
    m_bExpanded = FALSE;
    NotifyGrid(XTP_PGN_ITEMEXPANDCHANGED, (LPARAM)this);
    InternalRelease();
}

CXTPPropertyGridItem* CXTPPropertyGridItem::AddChildItem(CXTPPropertyGridItem* pItem)
{
    return InsertChildItem(m_pChilds->GetCount(), pItem);
}

CXTPPropertyGridItem* CXTPPropertyGridItem::InsertChildItem(int nIndex, CXTPPropertyGridItem* pItem)
{
    if (pItem == NULL)
        return NULL;
    // Items are attached top-down: a parent outside any grid takes no child.
    if (m_pGrid == NULL)
        return pItem;

    if (nIndex < 0 || nIndex > m_pChilds->GetCount())
        nIndex = m_pChilds->GetCount();
    m_pChilds->InsertAt(nIndex, pItem);
    pItem->m_pGrid = m_pGrid;
    pItem->m_pParent = this;
    pItem->m_nIndent = m_nIndent + 1;
    pItem->OnFlagsRefresh();

    if (m_bVisible)
    {
        if (m_bExpanded)
            m_pGrid->SetSortMode(m_pGrid->GetSortMode(), TRUE, TRUE);
        else if (m_pChilds->GetCount() == 1 && m_pGrid->GetSafeHwnd() != NULL)
            m_pGrid->Invalidate(FALSE);
    }
    return pItem;
}

CXTPPropertyGridItemMetrics* CXTPPropertyGridItem::GetMetrics(BOOL bValueMetrics, BOOL bCreate)
{
    CXTPPropertyGridItemMetrics*& pMetrics = bValueMetrics ? m_pValueMetrics : m_pCaptionMetrics;
    if (pMetrics == NULL && bCreate)
        pMetrics = new CXTPPropertyGridItemMetrics(m_pGrid != NULL ? m_pGrid->GetPaintManager() : NULL);
    return pMetrics;
}

BOOL CXTPPropertyGridItem::SelectNextConstraint()
{
    int nCount = m_pConstraints->GetCount();
    if (nCount == 0 || !OnRequestEdit())
        return FALSE;
    int nIndex = m_pConstraints->FindConstraint(m_strValue) + 1;
    if (nIndex >= nCount)
        nIndex = 0;
    CString strValue = m_pConstraints->GetAt(nIndex);
    if (!OnAfterEdit(strValue))
        return FALSE;
    m_pConstraints->SetCurrent(nIndex);
    OnValueChanged(strValue);
    return TRUE;
}

void CXTPPropertyGridItem::SetMask(LPCTSTR lpszMask, LPCTSTR lpszLiteral, TCHAR chPrompt)
{
    m_strMask = lpszMask != NULL ? lpszMask : "";
    m_strLiteral = lpszLiteral != NULL ? lpszLiteral : "";
    m_chPrompt = chPrompt;
    m_bUseMask = !m_strMask.IsEmpty();
}

void CXTPPropertyGridItem::SetPasswordMask(TCHAR chPrompt)
{
    m_chPrompt = chPrompt;
    m_bPassword = TRUE;
}

void CXTPPropertyGridItem::SetCategoryOf(CXTPPropertyGridView* pView)
{
    m_pGrid = pView;
    m_bCategory = TRUE;
    m_nFlags = 0;
    m_nIndent = 0;
    m_pParent = NULL;
    m_pInplaceButtons->RemoveAll();
}

//////////////////////////////////////////////////////////////////////////
// Accessibility

HRESULT CXTPPropertyGridItem::GetAccessibleParent(IDispatch** ppdispParent)
{
    if (ppdispParent == NULL)
        return E_POINTER;
    *ppdispParent = NULL;
    if (m_pGrid == NULL)
        return S_FALSE;
    *ppdispParent = (IDispatch*)m_pGrid->GetAccessible();
    m_pGrid->ExternalAddRef();
    return S_OK;
}

HRESULT CXTPPropertyGridItem::GetAccessibleName(VARIANT, BSTR* pszName)
{
    return SetBstr(pszName, m_strCaption);
}

HRESULT CXTPPropertyGridItem::GetAccessibleValue(VARIANT, BSTR* pszValue)
{
    return SetBstr(pszValue, m_strValue);
}

HRESULT CXTPPropertyGridItem::GetAccessibleDescription(VARIANT, BSTR* pszDescription)
{
    return SetBstr(pszDescription, m_strDescription);
}

HRESULT CXTPPropertyGridItem::GetAccessibleRole(VARIANT, VARIANT* pvarRole)
{
    pvarRole->vt = VT_I4;
    pvarRole->lVal = ROLE_SYSTEM_ROW;
    return S_OK;
}

HRESULT CXTPPropertyGridItem::GetAccessibleState(VARIANT, VARIANT* pvarState)
{
    long nState = STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTABLE;
    if (IsSelected())
        nState |= STATE_SYSTEM_FOCUSED;
    if (!m_bVisible)
        nState |= STATE_SYSTEM_INVISIBLE;
    if (m_bReadOnly)
        nState |= STATE_SYSTEM_READONLY;
    pvarState->vt = VT_I4;
    pvarState->lVal = nState;
    return S_OK;
}

HRESULT CXTPPropertyGridItem::GetAccessibleDefaultAction(VARIANT, BSTR* pszDefaultAction)
{
    return SetBstr(pszDefaultAction, "Select");
}

HRESULT CXTPPropertyGridItem::AccessibleDoDefaultAction(VARIANT)
{
    // Select does nothing for an item that has left its grid meanwhile.
    std::shared_ptr<CXTPPropertyGridItem> pItem = KeepAlive(this);
    return PostDefaultAction([pItem] { pItem->Select(); });
}

HRESULT CXTPPropertyGridItem::AccessibleSelect(long, VARIANT)
{
    Select();
    return S_OK;
}

HRESULT CXTPPropertyGridItem::AccessibleLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight,
                                                 VARIANT)
{
    *pxLeft = *pyTop = *pcxWidth = *pcyHeight = 0;
    if (m_pGrid == NULL || m_pGrid->GetSafeHwnd() == NULL)
        return S_OK;
    CRect rc = GetItemRect();
    m_pGrid->ClientToScreen(&rc);
    *pxLeft = rc.left;
    *pyTop = rc.top;
    *pcxWidth = rc.Width();
    *pcyHeight = rc.Height();
    return S_OK;
}

HRESULT CXTPPropertyGridItem::AccessibleHitTest(long xLeft, long yTop, VARIANT* pvarChild)
{
    pvarChild->vt = VT_EMPTY;
    if (m_pGrid == NULL || m_pGrid->GetSafeHwnd() == NULL)
        return S_FALSE;
    CPoint pt(xLeft, yTop);
    m_pGrid->ScreenToClient(&pt);
    CRect rcClient;
    m_pGrid->GetClientRect(&rcClient);
    if (!rcClient.PtInRect(pt) || !GetItemRect().PtInRect(pt))
        return S_FALSE;
    pvarChild->vt = VT_I4;
    pvarChild->lVal = CHILDID_SELF;
    return S_OK;
}

//////////////////////////////////////////////////////////////////////////
// CXTPPropertyGridItemNumber

CXTPPropertyGridItemNumber::CXTPPropertyGridItemNumber(LPCTSTR lpszCaption, long nValue, long* pBindNumber)
    : CXTPPropertyGridItem(lpszCaption), m_nValue(0), m_pBindNumber(pBindNumber)
{
    SetNumber(nValue);
    m_strDefaultValue = m_strValue;
}

void CXTPPropertyGridItemNumber::SetNumber(long nValue)
{
    m_nValue = nValue;
    if (m_pBindNumber != NULL)
        *m_pBindNumber = nValue;
    CString strValue;
    strValue.Format("%i", (int)nValue);
    CXTPPropertyGridItem::SetValue(strValue);
}

void CXTPPropertyGridItemNumber::SetValue(CString strValue)
{
    SetNumber(atol(strValue));
}

void CXTPPropertyGridItemNumber::BindToNumber(long* pBindNumber)
{
    m_pBindNumber = pBindNumber;
    if (m_pBindNumber != NULL)
        *m_pBindNumber = m_nValue;
}

void CXTPPropertyGridItemNumber::UpdateFromBoundValue()
{
    if (m_pBindNumber != NULL && *m_pBindNumber != m_nValue)
        SetNumber(*m_pBindNumber);
}

//////////////////////////////////////////////////////////////////////////
// CXTPPropertyGridItemBool

CXTPPropertyGridItemBool::CXTPPropertyGridItemBool(LPCTSTR lpszCaption, BOOL bValue, BOOL* pBindBool)
    : CXTPPropertyGridItem(lpszCaption), m_bValue(FALSE), m_pBindBool(pBindBool), m_strTrueText("True"),
      m_strFalseText("False"), m_bCheckBoxStyle(FALSE)
{
    SetFlags(xtpPropertyGridItemEdit | xtpPropertyGridItemComboButton);

    CString strValues;
    if (XTPResourceManager()->LoadString(&strValues, XTP_IDS_PROPGRID_BOOLVALUES) && strValues.Find('\n') != -1)
    {
        AfxExtractSubString(m_strTrueText, strValues, 0, '\n');
        AfxExtractSubString(m_strFalseText, strValues, 1, '\n');
    }

    SetBool(bValue);
    m_pConstraints->AddConstraint(m_strTrueText);
    m_pConstraints->AddConstraint(m_strFalseText);
    m_bConstraintEdit = TRUE;
    m_strDefaultValue = m_strValue;
}

void CXTPPropertyGridItemBool::SetBool(BOOL bValue)
{
    m_bValue = bValue;
    if (m_pBindBool != NULL)
        *m_pBindBool = bValue;
    CXTPPropertyGridItem::SetValue(bValue ? m_strTrueText : m_strFalseText);
}

void CXTPPropertyGridItemBool::SetValue(CString strValue)
{
    SetBool(strValue.CompareNoCase(m_strTrueText) == 0);
}

void CXTPPropertyGridItemBool::BindToBool(BOOL* pBindBool)
{
    m_pBindBool = pBindBool;
    if (m_pBindBool != NULL)
        *m_pBindBool = m_bValue;
}

void CXTPPropertyGridItemBool::UpdateFromBoundValue()
{
    if (m_pBindBool != NULL && *m_pBindBool != m_bValue)
        SetBool(*m_pBindBool);
}

void CXTPPropertyGridItemBool::SetCheckBoxStyle(BOOL bCheckBox)
{
    m_bCheckBoxStyle = bCheckBox;
    if (m_pGrid != NULL && m_pGrid->GetSafeHwnd() != NULL)
        m_pGrid->Invalidate(FALSE);
}

CString CXTPPropertyGridItemBool::GetViewValue()
{
    if (m_bCheckBoxStyle)
        return CString();
    return CXTPPropertyGridItem::GetViewValue();
}

BOOL CXTPPropertyGridItemBool::OnDrawItemValue(CDC& dc, CRect rcValue)
{
    if (!m_bCheckBoxStyle)
        return CXTPPropertyGridItem::OnDrawItemValue(dc, rcValue);

    int nCenter = rcValue.CenterPoint().y;
    CRect rcCheck(rcValue.left - 1, nCenter - 6, rcValue.left - 1 + 13, nCenter + 7);
    BOOL bEnabled = !m_bReadOnly;

    CXTPPropertyGridPaintManager* pPaintManager = m_pGrid != NULL ? m_pGrid->GetPaintManager() : NULL;
    if (pPaintManager != NULL && pPaintManager->GetVisualStyleMode() == 1 && pPaintManager->m_themeButton.IsValid())
    {
        int nState = m_bValue ? (bEnabled ? 5 : 8) : (bEnabled ? 1 : 4);
        if (SUCCEEDED(pPaintManager->m_themeButton.DrawThemeBackground(dc.GetSafeHdc(), BP_CHECKBOX, nState,
                                                                        &rcCheck, NULL)))
            return TRUE;
    }
    UINT nState = DFCS_BUTTONCHECK | (m_bValue ? DFCS_CHECKED : 0) | (bEnabled ? 0 : DFCS_INACTIVE);
    dc.DrawFrameControl(&rcCheck, DFC_BUTTON, nState);
    return TRUE;
}

void CXTPPropertyGridItemBool::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    if (m_bCheckBoxStyle && !m_bReadOnly && PtInValueRect(point))
    {
        OnSelect();
        SelectNextConstraint();
        return;
    }
    CXTPPropertyGridItem::OnLButtonDblClk(nFlags, point);
}

BOOL CXTPPropertyGridItemBool::OnLButtonDown(UINT nFlags, CPoint point)
{
    BOOL bResult = CXTPPropertyGridItem::OnLButtonDown(nFlags, point);
    if (m_bCheckBoxStyle && !m_bReadOnly)
    {
        CRect rcValue = GetValueRect();
        if (rcValue.PtInRect(point) && point.x < rcValue.left + 15)
            SelectNextConstraint();
    }
    return bResult;
}

BOOL CXTPPropertyGridItemBool::OnKeyDown(UINT nChar)
{
    if (m_bCheckBoxStyle && !m_bReadOnly && nChar == VK_SPACE)
    {
        OnLButtonDblClk(0, GetValueRect().CenterPoint());
        return TRUE;
    }
    return FALSE;
}
