#include "XTPCustomizeCommandsPage.h"
#include "XTPCustomizeSheet.h"
#include "XTPCustomizeDragTracker.h"
#include "XTPCustomizeResource.h"
#include "XTPCommandBars.h"
#include "XTPCommandBar.h"
#include "XTPControls.h"
#include "XTPControl.h"
#include "XTPControlPopup.h"
#include "XTPPaintManager.h"
#include "XTPResourceManager.h"
#include "XTPHookManager.h"
#include "XTPDCHelpers.h"
#include "XTPDrawHelpers.h"

IMPLEMENT_DYNCREATE(CXTPCustomizeCommandsPage, CPropertyPage)

//////////////////////////////////////////////////////////////////////////
// Categories

XTP_COMMANDBARS_CATEGORYINFO::XTP_COMMANDBARS_CATEGORYINFO(LPCTSTR lpszCategory, CXTPCommandBars* pCommandBars)
    : strCategory(lpszCategory)
    , pControls(new CXTPControls())
{
    pControls->SetCommandBars(pCommandBars);
}

XTP_COMMANDBARS_CATEGORYINFO::~XTP_COMMANDBARS_CATEGORYINFO()
{
    pControls->RemoveAll();
    pControls->InternalRelease();
}

void CXTPCommandBarsCategoryArray::RemoveAllCategories()
{
    for (int i = 0; i < GetSize(); i++)
        delete GetAt(i);
    RemoveAll();
}

XTP_COMMANDBARS_CATEGORYINFO* CXTPCommandBarsCategoryArray::Find(LPCTSTR lpszCategory) const
{
    for (int i = 0; i < GetSize(); i++)
    {
        if (GetAt(i)->strCategory == lpszCategory)
            return GetAt(i);
    }
    return NULL;
}

XTP_COMMANDBARS_CATEGORYINFO* CXTPCommandBarsCategoryArray::GetCategory(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetSize() ? GetAt(nIndex) : NULL;
}

void CXTPCommandBarsCategoryArray::InsertCategory(XTP_COMMANDBARS_CATEGORYINFO* pInfo, int nIndex)
{
    if (nIndex < 0 || nIndex > GetSize())
        Add(pInfo);
    else
        InsertAt(nIndex, pInfo);
}

// The menu text as a category caption: cut at the first tab, single '&'
// removed, "&&" kept as '&'.
static CString CategoryCaption(const CString& strText)
{
    int nTab = strText.Find('\t');
    CString strResult = nTab != -1 ? strText.Left(nTab) : strText;
    CXTPDrawHelpers::StripMnemonics(strResult);
    return strResult;
}

BOOL CXTPCommandBarsCategoryArray::AddCategories(CXTPCommandBars* pCommandBars, UINT nIDResource,
                                                 BOOL bListSubItems)
{
    CMenu menu;
    if (!XTPResourceManager()->LoadMenu(&menu, nIDResource))
        return FALSE;
    for (int i = 0; i < (int)menu.GetMenuItemCount(); i++)
    {
        CString strText;
        menu.GetMenuString(i, strText, MF_BYPOSITION);
        CMenu* pSubMenu = menu.GetSubMenu(i);
        if (strText.IsEmpty() || pSubMenu == NULL)
            continue;
        CString strCategory = CategoryCaption(strText);
        XTP_COMMANDBARS_CATEGORYINFO* pInfo = Find(strCategory);
        if (pInfo == NULL)
        {
            pInfo = new XTP_COMMANDBARS_CATEGORYINFO(strCategory, pCommandBars);
            Add(pInfo);
        }
        for (int j = 0; j < (int)pSubMenu->GetMenuItemCount(); j++)
        {
            if (pSubMenu->GetMenuItemID(j) == 0)
                continue;   // separators
            CXTPControl* pControl = pInfo->pControls->AddMenuItem(pSubMenu, j);
            if (pControl == NULL || !bListSubItems)
                continue;
            CXTPCommandBar* pPopupBar = pControl->GetCommandBar();
            if (pPopupBar == NULL)
                continue;
            for (int k = 0; k < pPopupBar->GetControlCount(); k++)
                pInfo->pControls->AddClone(pPopupBar->GetControl(k), -1, TRUE);
        }
    }
    return TRUE;
}

//////////////////////////////////////////////////////////////////////////
// CXTPCustomizeCommandsListBox

BEGIN_MESSAGE_MAP(CXTPCustomizeCommandsListBox, CListBox)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

CXTPCustomizeCommandsListBox::CXTPCustomizeCommandsListBox()
    : m_pCommandBars(NULL)
    , m_bDragable(FALSE)
{
}

CXTPControl* CXTPCustomizeCommandsListBox::GetItemControl(int nIndex) const
{
    if (m_hWnd == NULL || nIndex < 0 || nIndex >= GetCount())
        return NULL;
    return (CXTPControl*)GetItemDataPtr(nIndex);
}

void CXTPCustomizeCommandsListBox::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    if (m_pCommandBars != NULL && lpMeasureItemStruct != NULL)
        lpMeasureItemStruct->itemHeight =
            (UINT)m_pCommandBars->GetPaintManager()->DrawListBoxControl(NULL, NULL, CRect(0, 0, 0, 0), FALSE, TRUE,
                                                                         m_pCommandBars)
                .cy;
}

void CXTPCustomizeCommandsListBox::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (lpDrawItemStruct == NULL || m_pCommandBars == NULL || lpDrawItemStruct->itemID == (UINT)-1)
        return;
    CXTPControl* pControl = GetItemControl((int)lpDrawItemStruct->itemID);
    if (pControl == NULL)
        return;
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    CXTPFontDC font(pDC, m_pCommandBars->GetPaintManager()->GetRegularFont());
    m_pCommandBars->GetPaintManager()->DrawListBoxControl(pDC, pControl, lpDrawItemStruct->rcItem,
                                                          (lpDrawItemStruct->itemState & ODS_SELECTED) != 0, TRUE,
                                                          m_pCommandBars);
}

void CXTPCustomizeCommandsListBox::OnPaint()
{
    CPaintDC dc(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    CXTPBufferDC memDC(dc.GetSafeHdc(), rcClient);
    if (m_pCommandBars != NULL)
        m_pCommandBars->GetPaintManager()->DrawListBoxControl(&memDC, NULL, rcClient, FALSE, TRUE, m_pCommandBars);
    // The list's own painting draws the items over the background.
    CWnd::DefWindowProc(WM_PAINT, (WPARAM)memDC.GetSafeHdc(), 0);
}

BOOL CXTPCustomizeCommandsListBox::OnEraseBkgnd(CDC* pDC)
{
    if (m_pCommandBars != NULL && pDC != NULL)
    {
        CRect rcClient;
        GetClientRect(&rcClient);
        m_pCommandBars->GetPaintManager()->DrawListBoxControl(pDC, NULL, rcClient, FALSE, TRUE, m_pCommandBars);
    }
    return TRUE;
}

void CXTPCustomizeCommandsListBox::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (m_pCommandBars != NULL)
        m_pCommandBars->SetDragControl(NULL);
    BOOL bOutside = TRUE;
    int nItem = (int)ItemFromPoint(point, bOutside);
    CXTPControl* pControl = !bOutside ? GetItemControl(nItem) : NULL;
    if (pControl == NULL || !m_bDragable || m_pCommandBars == NULL || m_pCommandBars->GetDragTracker() == NULL)
    {
        CListBox::OnLButtonDown(nFlags, point);
        return;
    }
    SetCurSel(nItem);
    SetFocus();
    CWnd* pParent = GetParent();
    if (pParent != NULL)
        pParent->PostMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), LBN_SELCHANGE), (LPARAM)m_hWnd);

    // An empty popup (the "New Menu" entry) is dragged as a fresh copy, so
    // each drop makes a new menu.
    CXTPCommandBar* pPopupBar = pControl->GetCommandBar();
    BOOL bCopy = pControl->GetType() == xtpControlPopup && (pPopupBar == NULL || pPopupBar->GetControlCount() == 0);
    CXTPControl* pDragged = bCopy ? pControl->Clone(TRUE) : pControl;
    if (pDragged == NULL)
        return;
    if (!bCopy)
        pDragged->InternalAddRef();
    m_pCommandBars->GetDragTracker()->Track(pDragged, TRUE);
    pDragged->InternalRelease();
}

//////////////////////////////////////////////////////////////////////////
// CXTPCustomizeCommandsPage

BEGIN_MESSAGE_MAP(CXTPCustomizeCommandsPage, CPropertyPage)
    ON_LBN_SELCHANGE(XTP_IDC_CUSTOMIZE_LIST, OnCategoriesSelectionChanged)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CXTPCustomizeCommandsPage::CXTPCustomizeCommandsPage(CXTPCustomizeSheet* pSheet)
    : CPropertyPage(XTP_IDD_PAGE_COMMANDS)
    , m_pSheet(pSheet)
{
}

CXTPCustomizeCommandsPage::~CXTPCustomizeCommandsPage()
{
    m_arrCategories.RemoveAllCategories();
}

CXTPCommandBars* CXTPCustomizeCommandsPage::GetCommandBars() const
{
    return m_pSheet != NULL ? m_pSheet->GetCommandBars() : NULL;
}

BOOL CXTPCustomizeCommandsPage::AddCategories(UINT nIDResource, BOOL bListSubItems)
{
    return m_arrCategories.AddCategories(GetCommandBars(), nIDResource, bListSubItems);
}

BOOL CXTPCustomizeCommandsPage::InsertAllCommandsCategory(UINT nIDString, int nIndex)
{
    CString strCaption;
    XTPResourceManager()->LoadString(&strCaption, nIDString);
    XTP_COMMANDBARS_CATEGORYINFO* pAll = new XTP_COMMANDBARS_CATEGORYINFO(strCaption, GetCommandBars());
    for (int i = 0; i < m_arrCategories.GetSize(); i++)
    {
        CXTPControls* pControls = m_arrCategories[i]->pControls;
        for (int j = 0; j < pControls->GetCount(); j++)
            pAll->pControls->AddClone(pControls->GetAt(j), -1, TRUE);
    }
    m_arrCategories.InsertCategory(pAll, nIndex);
    return TRUE;
}

BOOL CXTPCustomizeCommandsPage::InsertBuiltInMenus(UINT nIDResource, UINT nIDString, int nIndex)
{
    CMenu menu;
    if (!XTPResourceManager()->LoadMenu(&menu, nIDResource))
        return FALSE;
    CString strCaption;
    XTPResourceManager()->LoadString(&strCaption, nIDString);
    XTP_COMMANDBARS_CATEGORYINFO* pInfo = new XTP_COMMANDBARS_CATEGORYINFO(strCaption, GetCommandBars());
    for (int i = 0; i < (int)menu.GetMenuItemCount(); i++)
        pInfo->pControls->AddMenuItem(&menu, i);
    m_arrCategories.InsertCategory(pInfo, nIndex);
    return TRUE;
}

BOOL CXTPCustomizeCommandsPage::InsertNewMenuCategory(UINT nIDString, int nIndex)
{
    CString strCaption;
    XTPResourceManager()->LoadString(&strCaption, nIDString);
    XTP_COMMANDBARS_CATEGORYINFO* pInfo = new XTP_COMMANDBARS_CATEGORYINFO(strCaption, GetCommandBars());
    CXTPControl* pControl = pInfo->pControls->Add(xtpControlPopup, 0);
    if (pControl != NULL)
        pControl->SetCaption(strCaption);
    m_arrCategories.InsertCategory(pInfo, nIndex);
    return TRUE;
}

void CXTPCustomizeCommandsPage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, XTP_IDC_CUSTOMIZE_LIST, m_lstCategories);
    DDX_Control(pDX, XTP_IDC_CUSTOMIZE_COMMANDS, m_lstCommands);
}

BOOL CXTPCustomizeCommandsPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    for (int i = 0; i < m_arrCategories.GetSize(); i++)
    {
        int nItem = m_lstCategories.AddString(m_arrCategories[i]->strCategory);
        m_lstCategories.SetItemData(nItem, (DWORD_PTR)i);
    }
    if (m_lstCategories.GetCount() > 0)
        m_lstCategories.SetCurSel(0);

    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars != NULL)
    {
        CSize szRow = pCommandBars->GetPaintManager()->DrawListBoxControl(NULL, NULL, CRect(0, 0, 0, 0), FALSE, TRUE,
                                                                          pCommandBars);
        m_lstCommands.SetItemHeight(0, (UINT)szRow.cy);
        if (pCommandBars->IsLayoutRTL())
        {
            m_lstCommands.ModifyStyleEx(0, WS_EX_LAYOUTRTL);
            m_lstCategories.ModifyStyleEx(0, WS_EX_RIGHT | WS_EX_RTLREADING | WS_EX_LEFTSCROLLBAR);
        }
    }
    m_lstCommands.m_pCommandBars = pCommandBars;
    m_lstCommands.m_bDragable = TRUE;
    XTPMouseManager()->AddTrusted(m_hWnd);
    RefreshCommandsList();
    return FALSE;
}

void CXTPCustomizeCommandsPage::RefreshCommandsList()
{
    if (m_lstCommands.GetSafeHwnd() == NULL)
        return;
    m_lstCommands.SetRedraw(FALSE);
    m_lstCommands.ResetContent();
    int nSel = m_lstCategories.GetCurSel();
    XTP_COMMANDBARS_CATEGORYINFO* pInfo =
        nSel != LB_ERR ? m_arrCategories.GetCategory((int)m_lstCategories.GetItemData(nSel)) : NULL;
    if (pInfo != NULL)
    {
        for (int i = 0; i < pInfo->pControls->GetCount(); i++)
            m_lstCommands.AddString((LPCTSTR)pInfo->pControls->GetAt(i));
    }
    m_lstCommands.SetRedraw(TRUE);
    m_lstCommands.Invalidate();
}

void CXTPCustomizeCommandsPage::OnCategoriesSelectionChanged()
{
    RefreshCommandsList();
}

void CXTPCustomizeCommandsPage::OnDestroy()
{
    XTPMouseManager()->RemoveTrusted(m_hWnd);
    CPropertyPage::OnDestroy();
}
