// The popup control: opens and closes its popup bar, split buttons.
#include "XTPControlPopup.h"
#include "XTPControls.h"
#include "XTPCommandBar.h"
#include "XTPCommandBars.h"
#include "XTPPopupBar.h"
#include "XTPPaintManager.h"
#include "XTPShadowManager.h"

#include <map>

IMPLEMENT_DYNCREATE(CXTPControlPopup, CXTPControlButton)

CXTPPopupMemoScope::CMemo* CXTPPopupMemoScope::s_pMemo = NULL;

CXTPControlPopup::CXTPControlPopup()
    : m_bPopup(FALSE)
    , m_pCommandBar(NULL)
    , m_dwCommandBarID(0)
    , m_bShowShadow(TRUE)
{
    m_controlType = xtpControlPopup;
}

CXTPControlPopup::~CXTPControlPopup()
{
    SetCommandBar((CXTPCommandBar*)NULL);
}

CXTPControlPopup* AFX_CDECL CXTPControlPopup::CreateControlPopup(XTPControlType controlType)
{
    CXTPControlPopup* pControl = new CXTPControlPopup();
    pControl->m_controlType = controlType;
    return pControl;
}

void CXTPControlPopup::SetCommandBar(CXTPCommandBar* pBar)
{
    if (pBar == m_pCommandBar)
        return;
    if (pBar != NULL)
        pBar->InternalAddRef();
    CXTPCommandBar* pOld = m_pCommandBar;
    m_pCommandBar = pBar;
    if (pOld != NULL)
    {
        CXTPPopupBar* pOldPopup = DYNAMIC_DOWNCAST(CXTPPopupBar, pOld);
        if (pOldPopup != NULL && pOldPopup->GetControlPopup() == this)
            pOldPopup->SetControlPopup(NULL);
        pOld->InternalRelease();
    }
}

void CXTPControlPopup::SetCommandBar(CMenu* pMenu)
{
    CXTPPopupBar* pPopupBar = CXTPPopupBar::CreatePopupBar(GetCommandBars());
    if (pMenu != NULL)
        pPopupBar->LoadMenu(pMenu, TRUE);
    SetCommandBar(pPopupBar);
    pPopupBar->InternalRelease();
}

BOOL CXTPControlPopup::Compare(CXTPControl* pOther)
{
    if (!CXTPControl::Compare(pOther))
        return FALSE;
    CXTPControlPopup* pPopup = DYNAMIC_DOWNCAST(CXTPControlPopup, pOther);
    if (pPopup == NULL)
        return FALSE;
    static int s_nDepth = 0;
    CXTPPopupDepthGuard guard(s_nDepth);
    if (guard.IsTooDeep())
        return TRUE;   // bars this deep are not compared
    if (m_pCommandBar == NULL || pPopup->m_pCommandBar == NULL)
        return TRUE;
    CXTPPopupMemoScope scope;
    std::map<std::pair<CXTPCommandBar*, CXTPCommandBar*>, BOOL>& compared = scope.Memo().compared;
    std::pair<CXTPCommandBar*, CXTPCommandBar*> key(m_pCommandBar, pPopup->m_pCommandBar);
    std::map<std::pair<CXTPCommandBar*, CXTPCommandBar*>, BOOL>::const_iterator it = compared.find(key);
    if (it != compared.end())
        return it->second;
    BOOL bSame = m_pCommandBar->GetControls()->Compare(pPopup->m_pCommandBar->GetControls());
    compared[key] = bSame;
    return bSame;
}

void CXTPControlPopup::ExecuteFromKeyboard()
{
    if (m_pCommandBar == NULL)
    {
        OnExecute();
        return;
    }
    if (m_pParent != NULL)
        m_pParent->SetPopuped(m_nIndex, TRUE);
}

void CXTPControlPopup::Copy(CXTPControl* pControl, BOOL bRecursive)
{
    CXTPControlButton::Copy(pControl, bRecursive);
    CXTPControlPopup* pPopup = DYNAMIC_DOWNCAST(CXTPControlPopup, pControl);
    if (pPopup == NULL)
        return;
    m_bShowShadow = pPopup->m_bShowShadow;
    // Bars this deep are shared instead of copied.
    static int s_nDepth = 0;
    CXTPPopupDepthGuard guard(s_nDepth);
    if (!bRecursive || pPopup->m_pCommandBar == NULL || guard.IsTooDeep())
    {
        SetCommandBar(pPopup->m_pCommandBar);
        return;
    }
    CXTPPopupMemoScope scope;
    std::map<CXTPCommandBar*, CXTPCommandBar*>& copies = scope.Memo().copies;
    std::map<CXTPCommandBar*, CXTPCommandBar*>::const_iterator it = copies.find(pPopup->m_pCommandBar);
    if (it != copies.end())
    {
        SetCommandBar(it->second);
        return;
    }
    CXTPCommandBar* pClone = pPopup->m_pCommandBar->Clone(TRUE);
    SetCommandBar(pClone);
    if (pClone == NULL)
        return;
    copies[pPopup->m_pCommandBar] = pClone;
    pClone->InternalRelease();
}

CXTPControl* CXTPControlPopup::Clone(BOOL bRecursive)
{
    CXTPControl* pControl = (CXTPControl*)GetRuntimeClass()->CreateObject();
    if (pControl == NULL)
        pControl = new CXTPControlPopup();
    pControl->Copy(this, bRecursive);
    return pControl;
}

BOOL CXTPControlPopup::OnSetPopup(BOOL bPopup)
{
    if (m_pCommandBar == NULL)
        return FALSE;
    if (m_controlType == xtpControlSplitButtonPopup && m_bEnabled == 3)
        return FALSE;
    if (m_pParent == NULL || m_pParent->GetSafeHwnd() == NULL)
        return FALSE;

    m_bPopup = bPopup;
    if (!bPopup)
    {
        m_pCommandBar->SetTrackingMode(FALSE, TRUE, FALSE);
        RedrawParent(TRUE);
        return TRUE;
    }

    RedrawParent(FALSE);
    m_pParent->UpdateWindow();
    CWnd* pSite = m_pParent->GetSite();
    if (pSite != NULL && pSite->GetSafeHwnd() != NULL)
        pSite->UpdateWindow();

    if (m_pCommandBar->IsTrackingMode())
        return TRUE;

    CXTPPopupBar* pPopupBar = DYNAMIC_DOWNCAST(CXTPPopupBar, m_pCommandBar);
    if (pPopupBar == NULL)
    {
        m_bPopup = FALSE;
        return FALSE;
    }
    // The popup may close (and this control lose its last other holder)
    // while it opens.
    InternalAddRef();
    BOOL bOpened = pPopupBar->Popup(this, IsKeyboardSelected(m_nSelected));
    if (bOpened)
        UpdateShadow();
    else
        m_bPopup = FALSE;
    InternalRelease();
    return bOpened;
}

void CXTPControlPopup::OnClick(BOOL bKeyboard, CPoint pt)
{
    if (!GetEnabled() || m_pParent == NULL)
        return;
    BOOL bCustomize = IsCustomizeMode();
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (bCustomize && pCommandBars != NULL)
        pCommandBars->SetDragControl(this);

    if (m_bPopup && !m_pParent->IsPopupBar())
    {
        m_pParent->SetTrackingMode(FALSE);
        if (bCustomize)
            OnCustomizeClick(pt);
        return;
    }

    if (m_controlType == xtpControlSplitButtonPopup && !bCustomize)
    {
        if (bKeyboard)
        {
            if (m_bEnabled == 4)
                m_pParent->SetPopuped(m_nIndex, TRUE);
            else
                OnExecute();
            return;
        }
        CXTPPaintManager* pPaintManager = GetPaintManager();
        CRect rcCommand = pPaintManager != NULL ? pPaintManager->GetSplitButtonCommandRect(this) : m_rcControl;
        if (rcCommand.PtInRect(pt))
        {
            if (m_pParent->IsPopupBar())
            {
                // The release executes.
                m_pParent->KillTimer(XTP_TID_HOVER);
                return;
            }
            if (m_bEnabled != 4)
            {
                TrackPress(rcCommand);
                return;
            }
        }
        else if (m_bEnabled == 3)
        {
            return;
        }
    }

    if (bCustomize && m_pCommandBar != NULL && !m_pCommandBar->IsCustomizable())
    {
        OnCustomizeClick(pt);
        return;
    }

    m_pParent->SetPopuped(m_nIndex, bKeyboard);
    if (bCustomize)
        OnCustomizeClick(pt);
}

void CXTPControlPopup::OnKeyboardClick()
{
    CXTPControl::OnKeyboardClick();
    // In customize mode the menu opens for its items to be customised, as a
    // click opens it, without the drag a press starts.
    if (!IsCustomizeMode() || !GetEnabled() || m_pParent == NULL || (m_bPopup && !m_pParent->IsPopupBar()))
        return;
    if (m_pCommandBar != NULL && !m_pCommandBar->IsCustomizable())
        return;
    m_pParent->SetPopuped(m_nIndex, TRUE);
}

void CXTPControlPopup::OnLButtonUp(CPoint point)
{
    if (m_pCommandBar == NULL)
    {
        CXTPControlButton::OnLButtonUp(point);
        return;
    }
    if (m_controlType != xtpControlSplitButtonPopup || m_pParent == NULL || !m_pParent->IsPopupBar())
        return;
    if (!GetEnabled() || m_bEnabled == 4 || IsCustomizeMode())
        return;
    CXTPPaintManager* pPaintManager = GetPaintManager();
    int nArrow = pPaintManager != NULL ? pPaintManager->m_nSplitButtonPopupWidth : 20;
    if (point.x < m_rcControl.right - nArrow)
        OnExecute();
}

BOOL CXTPControlPopup::OnLButtonDblClk(CPoint point)
{
    if ((m_controlType != xtpControlPopup && m_controlType != xtpControlButtonPopup) || m_pParent == NULL)
        return CXTPControlButton::OnLButtonDblClk(point);
    CXTPPopupBar* pPopupBar = DYNAMIC_DOWNCAST(CXTPPopupBar, m_pCommandBar);
    if (pPopupBar == NULL)
        return CXTPControlButton::OnLButtonDblClk(point);

    if (!m_bPopup)
    {
        OnClick(FALSE, point);
        if (!m_bPopup)
            return FALSE;
    }
    int nDefault = pPopupBar->GetDefaultItem(TRUE);
    if (nDefault != -1)
    {
        CXTPControl* pDefault = pPopupBar->GetControl(nDefault);
        if (pDefault != NULL)
        {
            pDefault->OnExecute();
            return TRUE;
        }
    }
    if (pPopupBar->HasHiddenCommands() && !pPopupBar->IsExpanded())
    {
        pPopupBar->ExpandBar();
        return TRUE;
    }
    return FALSE;
}

void CXTPControlPopup::OnMouseMove(CPoint point)
{
    if (m_controlType != xtpControlSplitButtonPopup || m_pParent == NULL || m_pParent->IsPopupBar() ||
        m_nSelected == 0)
        return;
    CXTPPaintManager* pPaintManager = GetPaintManager();
    if (pPaintManager == NULL)
        return;
    int nSelected = pPaintManager->GetSplitButtonCommandRect(this).PtInRect(point) ? 3 : 4;
    if (nSelected != m_nSelected)
    {
        m_nSelected = nSelected;
        RedrawParent(FALSE);
    }
}

void CXTPControlPopup::OnMouseHover()
{
    if (m_pCommandBar != NULL && GetEnabled() && m_pParent != NULL &&
        (m_pParent->GetTrackingMode() == 2 || m_pParent->IsPopupBar()))
    {
        m_pParent->SetPopuped(m_nIndex, FALSE);
        return;
    }
    CXTPControlButton::OnMouseHover();
}

BOOL CXTPControlPopup::OnSetSelected(int bSelected)
{
    if (!CXTPControl::OnSetSelected(bSelected))
        return FALSE;
    if (m_pCommandBar == NULL || m_pParent == NULL)
        return TRUE;

    CXTPCommandBar* pParent = m_pParent;
    BOOL bParentPopup = pParent->IsPopupBar();
    if (!bParentPopup && m_controlType != xtpControlPopup)
    {
        if (GetEnabled() && IsKeyboardSelected(bSelected) && pParent->GetTrackingMode() == 2)
            pParent->SetPopuped(m_nIndex, FALSE);
    }
    else
    {
        if (bSelected != 0 && GetEnabled() && pParent->GetTrackingMode() == 2 && !bParentPopup)
            pParent->SetPopuped(m_nIndex, IsKeyboardSelected(bSelected));
        else if (bSelected == 0 && m_bPopup && !bParentPopup)
            pParent->SetPopuped(-1);
    }
    return TRUE;
}

void CXTPControlPopup::OnCustomizeDragOver(CXTPControl* pDataObject, CPoint point)
{
    if (m_pCommandBar == NULL || !m_pCommandBar->IsCustomizable() || m_pParent == NULL)
        return;
    CXTPControlPopup* pDragged = DYNAMIC_DOWNCAST(CXTPControlPopup, pDataObject);
    if (pDragged != NULL && IsContainPopup(pDragged))
    {
        m_pParent->SetPopuped(-1);
        m_pParent->SetSelected(-1);
        return;
    }
    m_pParent->SetPopuped(m_nIndex);
    (void)point;
}

void CXTPControlPopup::AdjustExcludeRect(CRect& rc, BOOL bVertical)
{
    CXTPPaintManager* pPaintManager = GetPaintManager();
    if (pPaintManager != NULL)
        pPaintManager->AdjustExcludeRect(rc, this, bVertical);
}

void CXTPControlPopup::UpdateShadow()
{
    if (m_pCommandBar == NULL || m_pParent == NULL || m_pParent->IsPopupBar())
        return;
    if (m_controlType != xtpControlPopup && m_controlType != xtpControlButtonPopup &&
        m_controlType != xtpControlSplitButtonPopup)
        return;
    if (m_pParent->GetPosition() == xtpBarFloating && m_pParent->GetType() == xtpBarTypePopup)
        return;
    CXTPPopupBar* pPopupBar = DYNAMIC_DOWNCAST(CXTPPopupBar, m_pCommandBar);
    if (pPopupBar != NULL && pPopupBar->GetShowShadow() && m_bShowShadow)
        XTPShadowsManager()->SetControlShadow(m_pParent, m_rcControl);
}

void CXTPControlPopup::ExpandCommandBar()
{
    CXTPPopupBar* pPopupBar = DYNAMIC_DOWNCAST(CXTPPopupBar, m_pCommandBar);
    if (m_bPopup && pPopupBar != NULL && m_controlType == xtpControlPopup)
        pPopupBar->ExpandBar();
}

BOOL CXTPControlPopup::IsContainPopup(CXTPControlPopup* pControlPopup)
{
    if (m_pCommandBar == NULL || pControlPopup == NULL || pControlPopup->m_pCommandBar == NULL)
        return FALSE;
    if (m_pCommandBar == pControlPopup->m_pCommandBar)
        return TRUE;
    static int s_nDepth = 0;
    CXTPPopupDepthGuard guard(s_nDepth);
    if (guard.IsTooDeep())
        return FALSE;
    CXTPControls* pControls = m_pCommandBar->GetControls();
    for (int i = 0; pControls != NULL && i < pControls->GetCount(); i++)
    {
        CXTPControlPopup* pChild = DYNAMIC_DOWNCAST(CXTPControlPopup, pControls->GetAt(i));
        if (pChild == NULL || pChild == this)
            continue;
        if (pChild->IsContainPopup(pControlPopup) || pControlPopup->IsContainPopup(pChild))
            return TRUE;
    }
    return FALSE;
}
