// The ribbon's tab strip control, group popups and control collections.
#include "XTPRibbonControls.h"

#include <algorithm>

#include "XTPCommandBars.h"
#include "XTPControlButton.h"
#include "XTPDCHelpers.h"
#include "XTPDrawHelpers.h"
#include "XTPHookManager.h"
#include "XTPImageManager.h"
#include "XTPPropExchange.h"
#include "XTPRibbonBar.h"
#include "XTPRibbonGroups.h"
#include "XTPRibbonTheme.h"
#include "XTPTabPaintManager.h"

IMPLEMENT_DYNCREATE(CXTPRibbonControlTab, CXTPControlPopup)
IMPLEMENT_DYNCREATE(CXTPRibbonGroupPopupToolBar, CXTPPopupToolBar)
IMPLEMENT_DYNCREATE(CXTPRibbonGroupControlPopup, CXTPControlPopup)
IMPLEMENT_DYNCREATE(CXTPRibbonGroupOption, CXTPControlButton)
IMPLEMENT_DYNCREATE(CXTPRibbonControls, CXTPControls)
IMPLEMENT_DYNCREATE(CXTPRibbonQuickAccessControls, CXTPControls)

//////////////////////////////////////////////////////////////////////////
// CXTPRibbonControlTab

CXTPRibbonControlTab::CXTPRibbonControlTab() : m_bFocused(FALSE)
{
    m_dwFlags = xtpFlagNoMovable;
    m_controlType = xtpControlPopup;
    CXTPTabManager::SetAllowReorder(FALSE);
}

CXTPRibbonControlTab::~CXTPRibbonControlTab()
{
    // The tabs go before the control.
    for (int i = 0; i < GetItemCount(); i++)
    {
        m_arrItems[i]->OnRemoved();
        m_arrItems[i]->InternalRelease();
    }
    m_arrItems.RemoveAll();
    m_pSelected = m_pHighlighted = m_pPressed = NULL;
}

CXTPRibbonBar* CXTPRibbonControlTab::GetRibbonBar() const
{
    return DYNAMIC_DOWNCAST(CXTPRibbonBar, GetParent());
}

CXTPRibbonTab* CXTPRibbonControlTab::GetTab(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetItemCount() ? (CXTPRibbonTab*)m_arrItems[nIndex] : NULL;
}

CXTPControl* CXTPRibbonControlTab::Clone(BOOL /*bRecursive*/)
{
    // The tab strip belongs to its ribbon: a copy is an empty strip.
    CXTPRibbonControlTab* pControl = new CXTPRibbonControlTab();
    pControl->CXTPControl::Copy(this, FALSE);
    return pControl;
}

void CXTPRibbonControlTab::Draw(CDC* pDC)
{
    CXTPTabPaintManager* pPaintManager = GetPaintManager();
    if (pPaintManager != NULL)
        pPaintManager->DrawTabControl(this, pDC, GetRect());
}

void CXTPRibbonControlTab::SetFocused(BOOL bFocused)
{
    if (m_bFocused == bFocused)
        return;
    m_bFocused = bFocused;
    if (bFocused && GetSelectedItem() == NULL)
    {
        CXTPTabManagerItem* pItem = FindNextFocusable(-1, +1);
        if (pItem != NULL)
            SetSelectedItem(pItem);
    }
    RedrawParent(FALSE);
}

BOOL CXTPRibbonControlTab::OnSetSelected(int bSelected)
{
    if (bSelected == m_nSelected)
        return FALSE;
    CXTPRibbonBar* pRibbon = GetRibbonBar();
    if (IsKeyboardSelected(bSelected) && pRibbon != NULL && !pRibbon->IsMinimized())
        pRibbon->SetPopuped(-1);
    m_nSelected = bSelected;
    if (m_pParent != NULL)
        m_pParent->OnControlSelected(bSelected, this);
    if (IsKeyboardSelected(bSelected))
        SetFocused(TRUE);
    if (bSelected)
    {
        // The tab strip by the object id the bar hands it out under, the
        // tab as its child.
        if (GetAccessibleObjectId() != 0 && m_pParent->GetSafeHwnd() != NULL)
            CXTPAccessible::NotifyWinEvent(EVENT_OBJECT_FOCUS, m_pParent->GetSafeHwnd(), GetAccessibleObjectId(),
                                           GetSelectedIndex() + 1);
    }
    else
    {
        SetFocused(FALSE);
        m_pHighlighted = NULL;
    }
    RedrawParent(FALSE);
    return TRUE;
}

int CXTPRibbonControlTab::OnHookKeyDown(UINT nChar, LPARAM /*lParam*/)
{
    if (!m_bFocused || m_pParent == NULL)
        return FALSE;
    CXTPControls* pControls = m_pParent->GetControls();
    switch (nChar)
    {
    case VK_LEFT:
    case VK_RIGHT:
        if (FindNextFocusable(-1, +1) != NULL)
            PerformKeyDown(m_pParent->GetSafeHwnd(), nChar);
        return TRUE;
    case VK_UP:
    {
        int nIndex = pControls->GetNext(-1, +1);
        if (nIndex != -1)
            m_pParent->SetSelected(nIndex, 3);
        return TRUE;
    }
    case VK_DOWN:
    {
        int nIndex = pControls->GetNext(GetIndex(), +1);
        if (nIndex != -1)
            m_pParent->SetSelected(nIndex, 2);
        return TRUE;
    }
    default:
        return FALSE;
    }
}

BOOL CXTPRibbonControlTab::OnSetPopup(BOOL bPopup)
{
    CXTPRibbonBar* pRibbon = GetRibbonBar();
    if (bPopup)
    {
        CXTPRibbonTab* pTab = (CXTPRibbonTab*)GetSelectedItem();
        if (pRibbon == NULL || !pRibbon->IsMinimized() || pTab == NULL)
        {
            m_bPopup = FALSE;
            return FALSE;
        }
        if (m_pCommandBar != NULL)
        {
            m_pCommandBar->InternalRelease();
            m_pCommandBar = NULL;
        }
        CXTPRibbonTabPopupToolBar* pPopup = new CXTPRibbonTabPopupToolBar(pTab);
        pPopup->SetCommandBars(pRibbon->GetCommandBars());
        m_pCommandBar = pPopup;
        m_bPopup = TRUE;
        pPopup->m_pControlPopup = this;
        if (!pPopup->Popup(this, IsKeyboardSelected(GetSelected())))
        {
            m_bPopup = FALSE;
            return FALSE;
        }
        return TRUE;
    }

    m_bPopup = FALSE;
    if (m_pCommandBar != NULL)
        m_pCommandBar->SetTrackingMode(FALSE);
    // A minimised ribbon shows no selected tab once its popup closed.
    if (pRibbon != NULL && pRibbon->IsMinimized() && GetSelectedItem() != NULL)
    {
        m_pSelected = NULL;
        pRibbon->Redraw();
    }
    return TRUE;
}

void CXTPRibbonControlTab::Reposition()
{
    CXTPRibbonBar* pRibbon = GetRibbonBar();
    if (pRibbon != NULL && pRibbon->GetSafeHwnd() != NULL)
        pRibbon->OnRecalcLayout();
}

CString CXTPRibbonControlTab::GetItemTooltip(const CXTPTabManagerItem* pItem) const
{
    if (pItem == NULL)
        return CString();
    CString strTip = pItem->GetTooltip();
    return strTip.IsEmpty() ? pItem->GetCaption() : strTip;
}

void CXTPRibbonControlTab::SetSelectedItem(CXTPTabManagerItem* pItem)
{
    CXTPRibbonBar* pRibbon = GetRibbonBar();
    if (pRibbon == NULL)
    {
        CXTPTabManager::SetSelectedItem(pItem);
        return;
    }
    CXTPCommandBars* pCommandBars = pRibbon->GetCommandBars();
    if (!pRibbon->IsMinimized() && pCommandBars != NULL && ::GetKeyState(VK_LBUTTON) < 0)
        pCommandBars->ClosePopups();
    if (pItem == m_pSelected)
        return;
    CXTPRibbonTab* pTab = (CXTPRibbonTab*)pItem;
    if (pCommandBars != NULL && pCommandBars->GetKeyboardTipsLevel() > 1)
        pCommandBars->HideKeyboardTips();
    // A deselection (hidden tab, minimising) is not asked for.
    if (pTab != NULL && pRibbon->OnTabChanging(pTab))
        return;

    // The open popup of a minimised ribbon shows the old tab's groups: it
    // closes (leaving no tab selected) before the new tab opens its own.
    if (pTab != NULL && pRibbon->IsMinimized() && m_bPopup && pRibbon->GetPopupedControl() == this)
        pRibbon->SetPopuped(-1);

    pRibbon->LockRedraw();
    for (int i = 0; i < GetItemCount(); i++)
    {
        CXTPRibbonTab* pOther = (CXTPRibbonTab*)m_arrItems[i];
        CXTPRibbonGroups* pGroups = pOther->GetGroups();
        for (int g = 0; g < pGroups->GetCount(); g++)
        {
            CXTPRibbonGroup* pGroup = pGroups->GetAt(g);
            for (int c = 0; c < pGroup->GetCount(); c++)
                pGroup->GetAt(c)->SetHideFlag(xtpHideRibbonTab, pOther != pTab);
            if (pGroup->GetControlGroupPopup() != NULL)
                ((CXTPControl*)pGroup->GetControlGroupPopup())->SetHideFlag(xtpHideRibbonTab, pOther != pTab);
            if (pGroup->GetControlGroupOption() != NULL)
                pGroup->GetControlGroupOption()->SetHideFlag(xtpHideRibbonTab, pOther != pTab);
        }
    }
    pRibbon->m_pHighlightedGroup = NULL;
    pRibbon->m_nGroupsScrollPos = 0;
    CXTPTabManager::SetSelectedItem(pItem);
    CWnd* pSite = pRibbon->GetSite();
    if (pSite != NULL && pSite->GetSafeHwnd() != NULL && pRibbon->GetSafeHwnd() != NULL)
        pRibbon->OnUpdateCmdUI(pSite, FALSE);
    pRibbon->UnlockRedraw();

    if (pTab != NULL)
        pRibbon->OnTabChanged(pTab);
    if (pRibbon->IsMinimized() && pTab != NULL && pRibbon->GetSafeHwnd() != NULL)
    {
        if (!pRibbon->IsTrackingMode())
            pRibbon->SetTrackingMode(TRUE, FALSE, FALSE);
        pRibbon->SetPopuped(GetIndex(), FALSE);
    }
    NotifySite(CBN_XTP_EXECUTE);
    if (pTab != NULL && pRibbon->GetSafeHwnd() != NULL && GetAccessibleObjectId() != 0)
        CXTPAccessible::NotifyWinEvent(EVENT_OBJECT_FOCUS, pRibbon->GetSafeHwnd(), GetAccessibleObjectId(),
                                       pTab->GetIndex() + 1);
}

CXTPTabPaintManager* CXTPRibbonControlTab::GetPaintManager() const
{
    CXTPRibbonBar* pRibbon = GetRibbonBar();
    return pRibbon != NULL ? pRibbon->GetRibbonPaintManager()->GetTabPaintManager() : NULL;
}

void CXTPRibbonControlTab::RedrawControl(LPCRECT lpRect, BOOL bAnimate)
{
    CXTPRibbonBar* pRibbon = GetRibbonBar();
    if (pRibbon != NULL && pRibbon->GetSafeHwnd() != NULL)
        pRibbon->Redraw(lpRect != NULL ? lpRect : (LPCRECT)&(this->CXTPControl::m_rcControl), bAnimate);
}

BOOL CXTPRibbonControlTab::DrawIcon(CDC* pDC, CPoint pt, CXTPTabManagerItem* pItem, BOOL bDraw,
                                    CSize& szIcon) const
{
    CXTPTabPaintManager* pPaintManager = GetPaintManager();
    if (pItem == NULL)
        return pPaintManager != NULL && pPaintManager->m_bShowIcons;
    if (pItem->GetImageIndex() == -1 || pPaintManager == NULL || !pPaintManager->m_bShowIcons)
        return FALSE;
    CXTPImageManager* pImageManager = GetImageManager();
    CXTPImageManagerIcon* pImage =
        pImageManager != NULL ? pImageManager->GetImage(pItem->GetImageIndex(), szIcon.cx) : NULL;
    if (pImage == NULL)
        return FALSE;
    if (!bDraw)
        return TRUE;
    pItem->DrawImage(pDC, CRect(pt, szIcon), pImage);
    return TRUE;
}

BOOL CXTPRibbonControlTab::IsMouseLocked() const
{
    return XTPMouseManager()->GetLockCount() > 0;
}

BOOL CXTPRibbonControlTab::HasFocus() const
{
    return m_bFocused && m_pParent != NULL && m_pParent->IsTrackingMode();
}

CXTPRibbonTab* CXTPRibbonControlTab::GetAccessibleTab(VARIANT varChild, HRESULT& hr) const
{
    int nChild = CXTPAccessible::GetChildIndex(&varChild);
    hr = S_OK;
    if (nChild <= 0)
        return NULL;
    CXTPRibbonTab* pTab = GetTab(nChild - 1);
    if (pTab == NULL)
        hr = E_INVALIDARG;
    return pTab;
}

HRESULT CXTPRibbonControlTab::GetAccessibleChildCount(long* pcountChildren)
{
    if (pcountChildren == NULL)
        return E_INVALIDARG;
    *pcountChildren = GetItemCount();
    return S_OK;
}

HRESULT CXTPRibbonControlTab::GetAccessibleChild(VARIANT varChild, IDispatch** ppdispChild)
{
    if (ppdispChild == NULL)
        return E_INVALIDARG;
    *ppdispChild = NULL;
    HRESULT hr;
    GetAccessibleTab(varChild, hr);
    return FAILED(hr) ? hr : S_FALSE;
}

HRESULT CXTPRibbonControlTab::GetAccessibleName(VARIANT varChild, BSTR* pszName)
{
    if (pszName == NULL)
        return E_INVALIDARG;
    HRESULT hr;
    CXTPRibbonTab* pTab = GetAccessibleTab(varChild, hr);
    if (FAILED(hr))
        return hr;
    // The strip itself is named as any control; a tab by its caption
    // without the access key's marks.
    if (pTab == NULL)
        return CXTPControlPopup::GetAccessibleName(varChild, pszName);
    CString strName = pTab->GetCaption();
    CXTPDrawHelpers::StripMnemonics(strName);
    *pszName = strName.AllocSysString();
    return S_OK;
}

BOOL CXTPRibbonControlTab::IsAccessibleNameMnemonic(VARIANT varChild)
{
    HRESULT hr;
    CXTPRibbonTab* pTab = GetAccessibleTab(varChild, hr);
    return pTab == NULL && SUCCEEDED(hr) && CXTPControlPopup::IsAccessibleNameMnemonic(varChild);
}

HRESULT CXTPRibbonControlTab::GetAccessibleRole(VARIANT varChild, VARIANT* pvarRole)
{
    if (pvarRole == NULL)
        return E_INVALIDARG;
    HRESULT hr;
    CXTPRibbonTab* pTab = GetAccessibleTab(varChild, hr);
    if (FAILED(hr))
        return hr;
    pvarRole->vt = VT_I4;
    pvarRole->lVal = pTab != NULL ? ROLE_SYSTEM_PAGETAB : ROLE_SYSTEM_PAGETABLIST;
    return S_OK;
}

HRESULT CXTPRibbonControlTab::GetAccessibleState(VARIANT varChild, VARIANT* pvarState)
{
    if (pvarState == NULL)
        return E_INVALIDARG;
    HRESULT hr;
    CXTPRibbonTab* pTab = GetAccessibleTab(varChild, hr);
    if (FAILED(hr))
        return hr;
    pvarState->vt = VT_I4;
    if (pTab == NULL)
    {
        pvarState->lVal = STATE_SYSTEM_FOCUSABLE;
        if (!IsAccessibleOnScreen())
            pvarState->lVal |= STATE_SYSTEM_INVISIBLE;
        return S_OK;
    }
    pvarState->lVal = STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTABLE;
    if (pTab->IsSelected())
        pvarState->lVal |= STATE_SYSTEM_FOCUSED | STATE_SYSTEM_SELECTED;
    if (!pTab->IsVisible() || !IsAccessibleOnScreen())
        pvarState->lVal |= STATE_SYSTEM_INVISIBLE;
    return S_OK;
}

HRESULT CXTPRibbonControlTab::GetAccessibleDefaultAction(VARIANT varChild, BSTR* pszDefaultAction)
{
    if (pszDefaultAction == NULL)
        return E_INVALIDARG;
    HRESULT hr;
    CXTPRibbonTab* pTab = GetAccessibleTab(varChild, hr);
    if (FAILED(hr))
        return hr;
    if (pTab == NULL)
        return CXTPControlPopup::GetAccessibleDefaultAction(varChild, pszDefaultAction);
    *pszDefaultAction = CString("Switch").AllocSysString();
    return S_OK;
}

HRESULT CXTPRibbonControlTab::AccessibleSelect(long flagsSelect, VARIANT varChild)
{
    HRESULT hr;
    CXTPRibbonTab* pTab = GetAccessibleTab(varChild, hr);
    if (FAILED(hr))
        return hr;
    if (pTab == NULL)
        return CXTPControlPopup::AccessibleSelect(flagsSelect, varChild);
    SetSelectedItem(pTab);
    return S_OK;
}

HRESULT CXTPRibbonControlTab::AccessibleDoDefaultAction(VARIANT varChild)
{
    HRESULT hr;
    CXTPRibbonTab* pTab = GetAccessibleTab(varChild, hr);
    if (FAILED(hr))
        return hr;
    if (pTab == NULL)
        return CXTPControlPopup::AccessibleDoDefaultAction(varChild);
    std::shared_ptr<CXTPRibbonControlTab> pTabs = KeepAlive(this);
    std::shared_ptr<CXTPRibbonTab> pKept = KeepAlive(pTab);
    return PostDefaultAction([pTabs, pKept] {
        // Only a tab still on the ribbon is selected.
        for (int i = 0; i < pTabs->GetItemCount(); i++)
        {
            if (pTabs->GetItem(i) == pKept.get())
            {
                pTabs->SetSelectedItem(pKept.get());
                return;
            }
        }
    });
}

HRESULT CXTPRibbonControlTab::AccessibleLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight,
                                                 VARIANT varChild)
{
    if (pxLeft == NULL || pyTop == NULL || pcxWidth == NULL || pcyHeight == NULL)
        return E_INVALIDARG;
    HRESULT hr;
    CXTPRibbonTab* pTab = GetAccessibleTab(varChild, hr);
    if (FAILED(hr))
        return hr;
    if (m_pParent == NULL || m_pParent->GetSafeHwnd() == NULL)
        return S_FALSE;
    // Tabs off the screen (a hidden ribbon, a hidden tab) have no place there.
    *pxLeft = *pyTop = *pcxWidth = *pcyHeight = 0;
    if (!IsAccessibleOnScreen() || (pTab != NULL && !pTab->IsVisible()))
        return S_OK;
    CRect rc = pTab != NULL ? pTab->GetRect() : GetRect();
    m_pParent->ClientToScreen(&rc);
    *pxLeft = rc.left;
    *pyTop = rc.top;
    *pcxWidth = rc.Width();
    *pcyHeight = rc.Height();
    return S_OK;
}

HRESULT CXTPRibbonControlTab::AccessibleHitTest(long xLeft, long yTop, VARIANT* pvarChild)
{
    if (pvarChild == NULL)
        return E_INVALIDARG;
    if (m_pParent == NULL || m_pParent->GetSafeHwnd() == NULL)
        return S_FALSE;
    CPoint pt(xLeft, yTop);
    m_pParent->ScreenToClient(&pt);
    CXTPTabManagerItem* pItem = HitTest(pt);
    pvarChild->vt = VT_I4;
    pvarChild->lVal = pItem != NULL ? pItem->GetIndex() + 1 : CHILDID_SELF;
    return S_OK;
}

//////////////////////////////////////////////////////////////////////////
// CXTPRibbonGroupPopupToolBar

CXTPRibbonGroupPopupToolBar::CXTPRibbonGroupPopupToolBar(CXTPRibbonGroup* pGroup)
    : m_pRibbonBar(pGroup != NULL ? pGroup->GetRibbonBar() : NULL), m_pGroup(NULL), m_bMeasuring(FALSE)
{
    m_barType = xtpBarTypeRibbonPopup;
    m_dwFlags |= xtpFlagSmartLayout;
    int nCaption = m_pRibbonBar != NULL ? m_pRibbonBar->GetRibbonPaintManager()->GetGroupCaptionHeight() : 17;
    m_rcBorders.SetRect(2, 2, 3, nCaption + 1);
    if (m_pRibbonBar != NULL)
        EnableAnimation(m_pRibbonBar->IsAnimationEnabled());
    if (pGroup != NULL)
    {
        m_pGroup = (CXTPRibbonGroup*)pGroup->GetRuntimeClass()->CreateObject();
        m_pGroup->m_pRibbonBar = m_pRibbonBar;
        m_pGroup->m_pParentBar = this;
        m_pGroup->OnGroupAdded();
        m_pGroup->Copy(pGroup);
    }
}

CXTPRibbonGroupPopupToolBar::~CXTPRibbonGroupPopupToolBar()
{
    if (m_pGroup != NULL)
    {
        m_pGroup->OnGroupRemoved();
        m_pGroup->InternalRelease();
        m_pGroup = NULL;
    }
}

CSize CXTPRibbonGroupPopupToolBar::GetButtonSize() const
{
    return m_pRibbonBar != NULL ? m_pRibbonBar->GetButtonSize() : CXTPPopupToolBar::GetButtonSize();
}

CSize CXTPRibbonGroupPopupToolBar::CalcDynamicLayout(int /*nLength*/, DWORD /*dwMode*/)
{
    if (m_pGroup == NULL || m_pRibbonBar == NULL)
        return CSize(0, 0);
    CWindowDC dc(NULL);
    CXTPFontDC font(&dc, GetPaintManager()->GetCommandBarFont(this));
    m_bMeasuring = TRUE;
    m_pGroup->OnBeforeCalcSize(&dc);
    int nWidth = m_pGroup->CalcSize(&dc);
    m_pGroup->RepositionControls(&dc, nWidth, 0, 0);
    m_pGroup->OnAfterCalcSize();
    m_bMeasuring = FALSE;
    return CSize(nWidth + m_rcBorders.left + m_rcBorders.right, m_pRibbonBar->CalcGroupsHeight() - 7);
}

void CXTPRibbonGroupPopupToolBar::DrawCommandBar(CDC* pDC, CRect rcClipBox)
{
    if (m_pRibbonBar == NULL || m_pGroup == NULL)
        return;
    pDC->SetBkMode(TRANSPARENT);
    m_pRibbonBar->GetRibbonPaintManager()->FillGroupPopupBar(pDC, m_pGroup, this);
    m_pGroup->Draw(pDC, rcClipBox);
}

//////////////////////////////////////////////////////////////////////////
// CXTPRibbonGroupControlPopup

CXTPRibbonGroupControlPopup::CXTPRibbonGroupControlPopup(CXTPRibbonGroup* pGroup)
    : m_pPopupGroup(NULL), m_nPopupGroupId(0), m_bGroupReference(FALSE)
{
    m_controlType = xtpControlButtonPopup;
    m_dwFlags = xtpFlagManualUpdate;
    if (pGroup != NULL)
        SetPopupGroup(pGroup);
    CXTPPopupToolBar* pPopup = new CXTPPopupToolBar();
    SetCommandBar(pPopup);
    pPopup->InternalRelease();
}

CXTPRibbonGroupControlPopup::~CXTPRibbonGroupControlPopup()
{
    SetPopupGroup(NULL);
}

void CXTPRibbonGroupControlPopup::SetPopupGroup(CXTPRibbonGroup* pGroup)
{
    if (pGroup == m_pPopupGroup)
        return;
    // A group holds a reference to its own button, so that button holds
    // none back (neither would ever be freed); any other button (a copy on
    // the quick-access toolbar) holds one.
    CXTPRibbonGroup* pOld = m_pPopupGroup;
    BOOL bOldReference = m_bGroupReference;
    m_pPopupGroup = pGroup;
    m_bGroupReference = pGroup != NULL && (CXTPControl*)pGroup->GetControlGroupPopup() != this;
    if (pGroup != NULL)
        m_nPopupGroupId = pGroup->GetID();
    if (m_bGroupReference)
        pGroup->InternalAddRef();
    if (pOld != NULL && bOldReference)
        pOld->InternalRelease();
}

CXTPRibbonGroup* CXTPRibbonGroupControlPopup::ResolvePopupGroup() const
{
    if (m_pPopupGroup != NULL && !m_pPopupGroup->IsDetached())
        return m_pPopupGroup;
    CXTPRibbonBar* pRibbon = XTPGetRibbonBar(GetParent());
    if (pRibbon == NULL && m_pPopupGroup != NULL)
        pRibbon = m_pPopupGroup->GetRibbonBar();
    return pRibbon != NULL && m_nPopupGroupId != 0 ? pRibbon->FindGroup(m_nPopupGroupId) : NULL;
}

CSize CXTPRibbonGroupControlPopup::GetSize(CDC* pDC)
{
    CXTPRibbonBar* pRibbon = XTPGetRibbonBar(GetParent());
    CXTPRibbonTheme* pTheme = pRibbon != NULL ? pRibbon->GetRibbonPaintManager() : NULL;
    if (pTheme == NULL)
        return CXTPControlPopup::GetSize(pDC);
    return pTheme->DrawGroupPopupButton(pDC, this, FALSE);
}

void CXTPRibbonGroupControlPopup::Draw(CDC* pDC)
{
    CXTPRibbonBar* pRibbon = XTPGetRibbonBar(GetParent());
    CXTPRibbonTheme* pTheme = pRibbon != NULL ? pRibbon->GetRibbonPaintManager() : NULL;
    if (pTheme == NULL)
    {
        CXTPControlPopup::Draw(pDC);
        return;
    }
    pTheme->DrawGroupPopupButton(pDC, this, TRUE);
}

BOOL CXTPRibbonGroupControlPopup::OnSetPopup(BOOL bPopup)
{
    if (!bPopup)
        return CXTPControlPopup::OnSetPopup(FALSE);
    // The group is looked up now: a clone on the quick-access toolbar may
    // have outlived the group it came from.
    CXTPRibbonGroup* pGroup = ResolvePopupGroup();
    CXTPCommandBar* pPopup = NULL;
    if (pGroup != NULL)
        pPopup = new CXTPRibbonGroupPopupToolBar(pGroup);
    else
        pPopup = new CXTPPopupToolBar();
    CXTPCommandBar* pParent = GetParent();
    pPopup->SetCommandBars(pParent != NULL ? pParent->GetCommandBars() : NULL);
    SetCommandBar(pPopup);
    pPopup->InternalRelease();
    return CXTPControlPopup::OnSetPopup(TRUE);
}

void CXTPRibbonGroupControlPopup::Copy(CXTPControl* pControl, BOOL bRecursive)
{
    CXTPControlPopup::Copy(pControl, FALSE);
    CXTPRibbonGroupControlPopup* pSource = DYNAMIC_DOWNCAST(CXTPRibbonGroupControlPopup, pControl);
    if (pSource != NULL)
    {
        SetPopupGroup(pSource->m_pPopupGroup);
        m_nPopupGroupId = pSource->m_nPopupGroupId;
    }
    (void)bRecursive;
}

void CXTPRibbonGroupControlPopup::RestoreCommandBarList(CXTPCommandBarList* /*pCommandBarList*/)
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    CXTPRibbonBar* pRibbon = pCommandBars != NULL ? DYNAMIC_DOWNCAST(CXTPRibbonBar, pCommandBars->GetMenuBar()) : NULL;
    if (pRibbon == NULL)
        return;
    CXTPRibbonGroup* pGroup = pRibbon->FindGroup(GetID());
    if (pGroup != NULL)
        SetPopupGroup(pGroup);
}

//////////////////////////////////////////////////////////////////////////
// CXTPRibbonGroupOption

CXTPRibbonGroupOption::CXTPRibbonGroupOption()
{
    m_controlType = xtpControlButton;
    m_buttonStyle = xtpButtonIcon;
    m_dwFlags |= xtpFlagNoMovable;
}

CSize CXTPRibbonGroupOption::GetSize(CDC* pDC)
{
    CXTPRibbonBar* pRibbon = XTPGetRibbonBar(GetParent());
    CXTPRibbonTheme* pTheme = pRibbon != NULL ? pRibbon->GetRibbonPaintManager() : NULL;
    if (pTheme == NULL && GetRibbonGroup() != NULL && GetRibbonGroup()->GetRibbonBar() != NULL)
        pTheme = GetRibbonGroup()->GetRibbonBar()->GetRibbonPaintManager();
    return pTheme != NULL ? pTheme->DrawGroupOptionButton(pDC, this, FALSE) : CSize(15, 14);
}

void CXTPRibbonGroupOption::Draw(CDC* pDC)
{
    CXTPRibbonBar* pRibbon = XTPGetRibbonBar(GetParent());
    CXTPRibbonTheme* pTheme = pRibbon != NULL ? pRibbon->GetRibbonPaintManager() : NULL;
    if (pTheme == NULL && GetRibbonGroup() != NULL && GetRibbonGroup()->GetRibbonBar() != NULL)
        pTheme = GetRibbonGroup()->GetRibbonBar()->GetRibbonPaintManager();
    if (pTheme != NULL)
        pTheme->DrawGroupOptionButton(pDC, this, TRUE);
}

//////////////////////////////////////////////////////////////////////////
// CXTPRibbonControls

CXTPRibbonControls::~CXTPRibbonControls()
{
    m_bForceRemove = TRUE;
    RemoveAll();
}

BOOL CXTPRibbonControls::IsRemoveVetoed(CXTPControl* pControl) const
{
    if (m_bForceRemove || pControl == NULL)
        return FALSE;
    CXTPRibbonBar* pRibbon = DYNAMIC_DOWNCAST(CXTPRibbonBar, m_pParent);
    CXTPRibbonGroup* pGroup = pControl->GetRibbonGroup();
    if (pGroup != NULL &&
        (pControl == (CXTPControl*)pGroup->GetControlGroupPopup() || pControl == pGroup->GetControlGroupOption()))
        return TRUE;
    if (pRibbon == NULL)
        return FALSE;
    return pControl == pRibbon->GetControlTab() || pControl == pRibbon->GetControlQuickAccessPopup() ||
           pControl == pRibbon->GetControlQuickAccessMore() || pControl == pRibbon->GetScrollLeft() ||
           pControl == pRibbon->GetScrollRight();
}

void CXTPRibbonControls::OnControlRemoved(CXTPControl* pControl)
{
    CXTPRibbonGroup* pGroup = pControl->GetRibbonGroup();
    if (pGroup != NULL && pGroup->IndexOf(pControl) != -1)
        pGroup->RemoveControl(pControl);
    CXTPRibbonBar* pRibbon = DYNAMIC_DOWNCAST(CXTPRibbonBar, m_pParent);
    if (pRibbon != NULL)
    {
        if (pRibbon->m_pControlSystemButton == pControl)
            pRibbon->m_pControlSystemButton = NULL;
        CXTPRibbonQuickAccessControls* pQuick = pRibbon->GetQuickAccessControls();
        if (pQuick != NULL)
        {
            for (int i = 0; i < pQuick->GetCount(); i++)
            {
                if (pQuick->GetAt(i) == pControl)
                {
                    pQuick->m_arrControls.RemoveAt(i);
                    pControl->InternalRelease();
                    break;
                }
            }
        }
    }
    CXTPControls::OnControlRemoved(pControl);
}

//////////////////////////////////////////////////////////////////////////
// CXTPRibbonQuickAccessControls

CXTPRibbonQuickAccessControls::CXTPRibbonQuickAccessControls() : m_pRibbonBar(NULL), m_bLoading(FALSE)
{
}

void CXTPRibbonQuickAccessControls::OnControlAdded(CXTPControl* pControl)
{
    if (m_pRibbonBar == NULL)
        return;
    // The control also lives among the ribbon's controls, after the
    // quick-access controls before it.
    int nIndex = 0;
    for (int i = 0; i < GetCount(); i++)
    {
        if (GetAt(i) == pControl)
            break;
        nIndex = std::max(nIndex, GetAt(i)->GetIndex() + 1);
    }
    if (nIndex == 0 && m_pRibbonBar->GetSystemButton() != NULL)
        nIndex = m_pRibbonBar->GetSystemButton()->GetIndex() + 1;
    pControl->InternalAddRef();
    m_pRibbonBar->GetControls()->InsertAt(pControl, nIndex);
    if (!m_bLoading)
        m_pRibbonBar->OnRecalcLayout();
}

void CXTPRibbonQuickAccessControls::Remove(CXTPControl* pControl)
{
    for (int i = 0; i < GetCount(); i++)
    {
        if (GetAt(i) == pControl)
        {
            m_arrControls.RemoveAt(i);
            OnControlRemoved(pControl);
            pControl->InternalRelease();
            return;
        }
    }
}

void CXTPRibbonQuickAccessControls::OnControlRemoved(CXTPControl* pControl)
{
    if (m_pRibbonBar == NULL)
        return;
    pControl->InternalAddRef();
    m_pRibbonBar->GetControls()->Remove(pControl);
    // The ribbon's collection leaves the control's links alone when it was
    // not there; clear them here so the control is free.
    pControl->InternalRelease();
    if (!m_bLoading)
        m_pRibbonBar->OnRecalcLayout();
}

CXTPControl* CXTPRibbonQuickAccessControls::FindDuplicate(CXTPControl* pControl) const
{
    if (pControl == NULL)
        return NULL;
    for (int i = 0; i < GetCount(); i++)
    {
        CXTPControl* pOther = GetAt(i);
        if (pOther != pControl && pOther->GetID() == pControl->GetID() && pOther->GetType() == pControl->GetType() &&
            pOther->IsVisible(xtpHideWrap))
            return pOther;
    }
    return NULL;
}

void CXTPRibbonQuickAccessControls::DoPropExchange(CXTPPropExchange* pPX)
{
    m_bLoading = pPX->IsLoading();
    try
    {
        CXTPControls::DoPropExchange(pPX);
    }
    catch (...)
    {
        m_bLoading = FALSE;
        throw;
    }
    m_bLoading = FALSE;
    if (pPX->IsLoading() && m_pRibbonBar != NULL)
        m_pRibbonBar->OnRecalcLayout();
}

