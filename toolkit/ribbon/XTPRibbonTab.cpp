// Ribbon tabs and their contextual headers.
#include "XTPRibbonTab.h"

#include "XTPRibbonBar.h"
#include "XTPRibbonGroups.h"

IMPLEMENT_DYNCREATE(CXTPRibbonTab, CXTPTabManagerItem)

//////////////////////////////////////////////////////////////////////////
// Headers

CXTPRibbonTabContextHeader::CXTPRibbonTabContextHeader(CXTPRibbonTab* pFirstTab)
    : m_pFirstTab(pFirstTab), m_pLastTab(pFirstTab), m_nColor(0), m_rcHeader(0, 0, 0, 0)
{
    if (pFirstTab != NULL)
    {
        m_strCaption = pFirstTab->GetContextCaption();
        m_nColor = pFirstTab->GetContextColor();
        pFirstTab->m_pContextHeader = this;
    }
}

CXTPRibbonTabContextHeader* CXTPRibbonTabContextHeaders::GetAt(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetCount())
        AfxThrowInvalidArgException();
    return m_arrHeaders[nIndex];
}

void CXTPRibbonTabContextHeaders::RemoveAll()
{
    for (INT_PTR i = 0; i < m_arrHeaders.GetSize(); i++)
    {
        CXTPRibbonTabContextHeader* pHeader = m_arrHeaders[i];
        // The tabs forget the header they were under.
        for (CXTPRibbonTab* pTab = pHeader->m_pFirstTab; pTab != NULL;)
        {
            if (pTab->m_pContextHeader == pHeader)
                pTab->m_pContextHeader = NULL;
            if (pTab == pHeader->m_pLastTab)
                break;
            CXTPTabManager* pManager = pTab->GetTabManager();
            int nNext = pTab->GetIndex() + 1;
            pTab = pManager != NULL && nNext < pManager->GetItemCount() ? (CXTPRibbonTab*)pManager->GetItem(nNext)
                                                                      : NULL;
        }
        delete pHeader;
    }
    m_arrHeaders.RemoveAll();
}

CXTPRibbonTabContextHeader* CXTPRibbonTabContextHeaders::HitTest(CPoint point) const
{
    for (INT_PTR i = 0; i < m_arrHeaders.GetSize(); i++)
    {
        if (m_arrHeaders[i]->m_rcHeader.PtInRect(point))
            return m_arrHeaders[i];
    }
    return NULL;
}

//////////////////////////////////////////////////////////////////////////
// CXTPRibbonTab

CXTPRibbonTab::CXTPRibbonTab()
    : m_pGroups(NULL), m_pRibbonBar(NULL), m_pParentBar(NULL), m_nTabValue(0), m_nContextColor(0),
      m_pContextHeader(NULL), m_nId(0)
{
    m_pGroups = new CXTPRibbonGroups(this);
}

CXTPRibbonTab::~CXTPRibbonTab()
{
    if (m_pGroups != NULL)
    {
        m_pGroups->RemoveAll();
        m_pGroups->InternalRelease();
    }
}

void CXTPRibbonTab::SetVisible(BOOL bVisible)
{
    if (IsVisible() == bVisible)
        return;
    CXTPTabManagerItem::SetVisible(bVisible);
    CXTPTabManager* pManager = GetTabManager();
    if (!bVisible && pManager != NULL && pManager->GetSelectedItem() == this)
    {
        // The next visible enabled tab from the start, or no selection at
        // all: a hidden tab must not keep its groups showing.
        CXTPTabManagerItem* pNext = pManager->FindNextFocusable(-1, +1);
        pManager->SetSelectedItem(pNext);
        if (pManager->GetSelectedItem() == this)
            pManager->m_pSelected = NULL;
    }
}

void CXTPRibbonTab::OnRemoved()
{
    if (m_pGroups != NULL)
        m_pGroups->RemoveAll();
}

void CXTPRibbonTab::Copy(CXTPRibbonTab* pTab)
{
    if (pTab == NULL || pTab == this)
        return;
    m_nContextColor = pTab->m_nContextColor;
    m_strContextCaption = pTab->m_strContextCaption;
    m_nTabValue = pTab->m_nTabValue;
    m_pRibbonBar = pTab->m_pRibbonBar;
    m_nId = pTab->m_nId;
    m_strCaption = pTab->m_strCaption;
    m_strToolTip = pTab->m_strToolTip;
    m_pGroups->Copy(pTab->m_pGroups);
}

CXTPRibbonGroup* CXTPRibbonTab::AddGroup(LPCTSTR lpszCaption, int nId, int nIndex)
{
    CXTPRibbonGroup* pGroup = new CXTPRibbonGroup();
    pGroup->SetCaption(lpszCaption);
    pGroup->SetID(nId);
    return m_pGroups->InsertAt(nIndex < 0 ? m_pGroups->GetCount() : nIndex, pGroup);
}

CXTPRibbonGroup* CXTPRibbonTab::FindGroup(int nId) const
{
    return m_pGroups->FindGroup(nId);
}
