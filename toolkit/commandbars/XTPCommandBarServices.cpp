// What every bar gives besides tracking: tooltips of its controls, help ids,
// the accessible view of the bar and its controls, and the drop side of
// customisation by drag and drop.
#include "XTPCommandBar.h"

#include "XTPCommandBars.h"
#include "XTPCommandBarsOptions.h"
#include "XTPControl.h"
#include "XTPControlAction.h"
#include "XTPControlPopup.h"
#include "XTPControls.h"
#include "XTPDrawHelpers.h"
#include "XTPHookManager.h"
#include "XTPPopupBar.h"
#include "XTPShortcutManager.h"
#include "XTPToolTipContext.h"

#include <oleacc.h>

#ifndef WM_GETOBJECT
#define WM_GETOBJECT 0x003D
#endif

namespace {

// The width of the insert marker across the controls.
const int kMarkerWidth = 6;

BOOL IsVerticalDropLayout(const CXTPCommandBar* pBar)
{
    return pBar->GetPosition() == xtpBarLeft || pBar->GetPosition() == xtpBarRight ||
           pBar->GetType() == xtpBarTypePopup;
}

// The child id that names a control's own object.
VARIANT SelfVariant()
{
    VARIANT var;
    var.vt = VT_I4;
    var.lVal = CHILDID_SELF;
    return var;
}

} // namespace

//////////////////////////////////////////////////////////////////////////
// Tooltips and help

INT_PTR CXTPCommandBar::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    CXTPCommandBar* pThis = const_cast<CXTPCommandBar*>(this);
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if ((m_bTracking == 2 && !IsPopupBar()) || m_nPopuped != -1)
        return -1;
    CXTPMouseManager* pMouseManager = XTPMouseManager();
    if (pMouseManager->GetLockCount() > 0 || (m_bTracking && pMouseManager->IsMouseLocked(pThis)))
        return -1;
    if (pCommandBars != NULL && !pCommandBars->GetCommandBarsOptions()->bToolBarScreenTips)
        return -1;
    CXTPControl* pControl = m_pControls->HitTest(point);
    if (pControl == NULL)
        return -1;
    // While customizing, the picked control (just dropped or clicked) shows
    // no tip: the mouse rests on it, and the tip would cover the bar below.
    if (pCommandBars != NULL && pCommandBars->IsCustomizeMode() && pCommandBars->GetDragControl() == pControl)
        return -1;
    if (IsPopupBar())
    {
        if (pCommandBars == NULL)
            return -1;
        if (!pCommandBars->GetCommandBarsOptions()->bShowPopupBarToolTips &&
            (pControl->GetFlags() & xtpFlagShowPopupBarTip) == 0)
            return -1;
    }

    CRect rcTip = pControl->GetRect();
    CString strTip = pControl->GetTooltip(&point, &rcTip);
    if (strTip.IsEmpty())
        return -1;
    if (pCommandBars != NULL && pCommandBars->GetCommandBarsOptions()->bToolBarAccelTips)
    {
        CString strShortcut = pControl->GetShortcutText();
        if (strShortcut.IsEmpty())
            pCommandBars->GetShortcutManager()->FindDefaultAccelerator((UINT)pControl->GetID(), strShortcut);
        if (!strShortcut.IsEmpty())
            strTip += " (" + strShortcut + ")";
    }

    INT_PTR nHit = pControl->GetID() != 0 ? pControl->GetID() : -1;
    CXTPToolTipContext::FillInToolInfoEx(pTI, m_hWnd, rcTip, nHit, strTip, strTip, pControl->GetDescription(),
                                         GetImageManager());
    if (pTI != NULL && pTI->cbSize >= 44 && pTI->lParam != 0)
        ((XTP_TOOLTIP_TOOLINFO_EX*)pTI->lParam)->pObject = pControl;
    return nHit;
}

LRESULT CXTPCommandBar::OnHelpHitTest(WPARAM, LPARAM lParam)
{
    CPoint point((short)LOWORD(lParam), (short)HIWORD(lParam));
    CXTPControl* pControl = m_pControls->HitTest(point);
    if (pControl == NULL)
    {
        int nId = m_hWnd != NULL ? ::GetDlgCtrlID(m_hWnd) : 0;
        return nId != 0 ? 0x50000 + nId : 0;
    }
    int nHelpId = pControl->GetHelpId();
    if (nHelpId <= 0 && pControl->GetAction() != NULL)
        nHelpId = pControl->GetAction()->GetHelpId();
    if (nHelpId <= 0)
        nHelpId = pControl->GetID();
    return 0x10000 + nHelpId;
}

//////////////////////////////////////////////////////////////////////////
// Accessibility

LRESULT CXTPCommandBar::OnGetObject(WPARAM wParam, LPARAM lParam)
{
    LONG nObjectId = (LONG)lParam;
    if (nObjectId == OBJID_CLIENT || nObjectId == OBJID_MENU)
        return LresultFromObject(IID_IAccessible, wParam, (LPUNKNOWN)GetAccessible());
    if (nObjectId >= 1 && nObjectId < 0xFFFFFF)
    {
        // A control by its position plus one, the number it has as the bar's
        // child: the object id its events are raised with. (Command ids
        // would not do: copies of a control, on the quick-access toolbar
        // among others, share its id, and many controls have none.) A number
        // beyond the controls gets no object.
        CXTPControl* pControl = GetControl((int)nObjectId - 1);
        if (pControl == NULL)
            return 0;
        return LresultFromObject(IID_IAccessible, wParam, (LPUNKNOWN)pControl->GetAccessible());
    }
    return Default();
}

HRESULT CXTPCommandBar::GetAccessibleParent(IDispatch** ppdispParent)
{
    *ppdispParent = NULL;
    CXTPPopupBar* pPopupBar = DYNAMIC_DOWNCAST(CXTPPopupBar, this);
    if (pPopupBar != NULL && pPopupBar->GetControlPopup() != NULL)
    {
        *ppdispParent = pPopupBar->GetControlPopup()->GetIDispatch(TRUE);
        return S_OK;
    }
    if (m_hWnd == NULL)
        return E_FAIL;
    return AccessibleObjectFromWindow(m_hWnd, (DWORD)OBJID_WINDOW, IID_IDispatch, (void**)ppdispParent);
}

HRESULT CXTPCommandBar::GetAccessibleChildCount(long* pcountChildren)
{
    *pcountChildren = GetControlCount();
    return S_OK;
}

HRESULT CXTPCommandBar::GetAccessibleChild(VARIANT varChild, IDispatch** ppdispChild)
{
    *ppdispChild = NULL;
    long nChild = GetChildIndex(&varChild);
    CXTPControl* pControl = GetControl(nChild - 1);
    if (pControl == NULL)
        return E_INVALIDARG;
    *ppdispChild = pControl->GetIDispatch(TRUE);
    return S_OK;
}

HRESULT CXTPCommandBar::GetAccessibleName(VARIANT varChild, BSTR* pszName)
{
    long nChild = GetChildIndex(&varChild);
    // The title keeps its access key's marks, which a client reading the
    // name does not get (IsAccessibleNameMnemonic).
    if (nChild == CHILDID_SELF)
    {
        *pszName = m_strTitle.AllocSysString();
        return S_OK;
    }
    // Read through the bar or on its own, a control has one name: its own
    // object's (a caption of marks alone reads its tooltip).
    CXTPControl* pControl = GetControl(nChild - 1);
    return pControl != NULL ? pControl->GetAccessibleName(SelfVariant(), pszName) : E_INVALIDARG;
}

BOOL CXTPCommandBar::IsAccessibleNameMnemonic(VARIANT varChild)
{
    long nChild = GetChildIndex(&varChild);
    CXTPControl* pControl = GetControl(nChild - 1);
    return nChild == CHILDID_SELF || (pControl != NULL && pControl->IsAccessibleNameMnemonic(SelfVariant()));
}

HRESULT CXTPCommandBar::GetAccessibleRole(VARIANT varChild, VARIANT* pvarRole)
{
    pvarRole->vt = VT_I4;
    if (GetChildIndex(&varChild) != CHILDID_SELF)
        pvarRole->lVal = ROLE_SYSTEM_MENUITEM;
    else if (m_barType == xtpBarTypeMenuBar)
        pvarRole->lVal = ROLE_SYSTEM_MENUBAR;
    else if (m_barType == xtpBarTypePopup)
        pvarRole->lVal = ROLE_SYSTEM_MENUPOPUP;
    else
        pvarRole->lVal = ROLE_SYSTEM_TOOLBAR;
    return S_OK;
}

HRESULT CXTPCommandBar::GetAccessibleState(VARIANT varChild, VARIANT* pvarState)
{
    pvarState->vt = VT_I4;
    pvarState->lVal = IsVisible() || (m_hWnd != NULL && ::IsWindowVisible(m_hWnd)) ? 0 : STATE_SYSTEM_INVISIBLE;
    long nChild = GetChildIndex(&varChild);
    if (nChild != CHILDID_SELF)
    {
        CXTPControl* pControl = GetControl(nChild - 1);
        if (pControl == NULL)
            return E_INVALIDARG;
        pvarState->lVal |= nChild - 1 == m_nSelected ? 0x300086 : 0x300000;
        // A control off the screen (on another ribbon tab, in a collapsed
        // group, hidden) is invisible however the bar shows.
        if (!pControl->IsAccessibleOnScreen())
            pvarState->lVal |= STATE_SYSTEM_INVISIBLE;
    }
    return S_OK;
}

HRESULT CXTPCommandBar::AccessibleLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight,
                                           VARIANT varChild)
{
    *pxLeft = *pyTop = *pcxWidth = *pcyHeight = 0;
    if (m_hWnd == NULL)
        return S_OK;
    CRect rc;
    long nChild = GetChildIndex(&varChild);
    if (nChild == CHILDID_SELF)
    {
        GetWindowRect(&rc);
    }
    else
    {
        CXTPControl* pControl = GetControl(nChild - 1);
        if (pControl == NULL)
            return E_INVALIDARG;
        // A control off the screen has no place there.
        if (!pControl->IsAccessibleOnScreen())
            return S_OK;
        rc = pControl->GetRect();
        ClientToScreen(&rc);
    }
    *pxLeft = rc.left;
    *pyTop = rc.top;
    *pcxWidth = rc.Width();
    *pcyHeight = rc.Height();
    return S_OK;
}

HRESULT CXTPCommandBar::AccessibleHitTest(long xLeft, long yTop, VARIANT* pvarChild)
{
    pvarChild->vt = VT_EMPTY;
    if (m_hWnd == NULL)
        return S_FALSE;
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    if (!rcWindow.PtInRect(CPoint(xLeft, yTop)))
        return S_FALSE;
    CPoint pt(xLeft, yTop);
    ScreenToClient(&pt);
    CXTPControl* pControl = m_pControls->HitTest(pt);
    if (pControl != NULL)
    {
        pvarChild->vt = VT_DISPATCH;
        pvarChild->pdispVal = pControl->GetIDispatch(TRUE);
        return S_OK;
    }
    pvarChild->vt = VT_I4;
    pvarChild->lVal = CHILDID_SELF;
    return S_OK;
}

//////////////////////////////////////////////////////////////////////////
// Customize drop

int CXTPCommandBar::FindCustomizeDropIndex(CXTPControl* pDataObject, CPoint point, CRect& rcMarker, BOOL& bAfter)
{
    BOOL bVert = IsVerticalDropLayout(this);
    int nBest = -1;
    int nBestDistance = INT_MAX;
    for (int i = 0; i < GetControlCount(); i++)
    {
        CXTPControl* pControl = GetControl(i);
        if (!pControl->IsVisible() || !pControl->IsCustomizeMovable())
            continue;
        CRect rc = pControl->GetRect();
        if (pControl->GetWrap() && nBest != -1)
        {
            // A later row that lies beyond the point ends the search.
            if (bVert ? rc.right < point.x : rc.top > point.y)
                break;
            nBest = i;
            nBestDistance = bVert ? abs(rc.CenterPoint().y - point.y) : abs(rc.CenterPoint().x - point.x);
            continue;
        }
        int nDistance = bVert ? abs(rc.CenterPoint().y - point.y) : abs(rc.CenterPoint().x - point.x);
        if (nBest == -1 || nDistance < nBestDistance)
        {
            nBest = i;
            nBestDistance = nDistance;
        }
    }

    rcMarker.SetRectEmpty();
    if (nBest == -1)
    {
        bAfter = TRUE;
        if (!IsEmptyDropRefused() && m_hWnd != NULL)
        {
            CRect rcClient;
            GetClientRect(&rcClient);
            rcMarker.SetRect(rcClient.left + 2, rcClient.top + 2, rcClient.left + 8, rcClient.bottom - 2);
        }
        return -1;
    }

    CXTPControl* pBest = GetControl(nBest);
    CRect rc = pBest->GetRect();
    bAfter = bVert ? rc.CenterPoint().y < point.y : rc.CenterPoint().x < point.x;
    if (pBest == pDataObject)
        return nBest;

    CXTPControl* pNext = GetControl(nBest + 1);
    BOOL bInside = pNext == NULL || pNext->GetBeginGroup() || (!bVert && pNext->GetWrap());
    if (bVert)
    {
        int y = !bAfter ? rc.top : (bInside ? rc.bottom - kMarkerWidth : rc.bottom);
        rcMarker.SetRect(rc.left, y - (!bAfter ? kMarkerWidth / 2 : 0), rc.right,
                         y - (!bAfter ? kMarkerWidth / 2 : 0) + kMarkerWidth);
    }
    else
    {
        int x = !bAfter ? rc.left : (bInside ? rc.right - kMarkerWidth : rc.right);
        rcMarker.SetRect(x - (!bAfter ? kMarkerWidth / 2 : 0), rc.top, x - (!bAfter ? kMarkerWidth / 2 : 0) + kMarkerWidth,
                         rc.bottom);
    }
    m_bVerticalMarker = bVert;
    return nBest;
}

BOOL CXTPCommandBar::OnCustomizeDragEnter(CXTPControl* pDataObject, CPoint point)
{
    // The bar accepts the drag when the drag-over gives an effect: a bar that
    // is not customizable or not shown, or a control there that refuses the
    // dragged one, does not become the drag's target.
    m_rcMarker.SetRectEmpty();
    return OnCustomizeDragOver(pDataObject, point) != DROPEFFECT_NONE;
}

void CXTPCommandBar::ShowInsertMarker(const CRect& rcMarker)
{
    if (rcMarker == m_rcMarker || (rcMarker.IsRectEmpty() && m_rcMarker.IsRectEmpty()))
        return;
    m_rcMarker = rcMarker;
    Redraw();
}

void CXTPCommandBar::OnCustomizeDragLeave()
{
    ShowInsertMarker(CRect(0, 0, 0, 0));
}

DROPEFFECT CXTPCommandBar::OnCustomizeDragOver(CXTPControl* pDataObject, CPoint point)
{
    if (!IsCustomizable() || m_hWnd == NULL || !::IsWindowVisible(m_hWnd) || pDataObject == NULL)
        return DROPEFFECT_NONE;

    CRect rcMarker;
    BOOL bAfter = FALSE;
    int nIndex = FindCustomizeDropIndex(pDataObject, point, rcMarker, bAfter);

    CXTPControl* pOver = m_pControls->HitTest(point);
    if (pOver != NULL)
    {
        if (m_nPopuped != -1 && m_nPopuped != pOver->GetIndex())
            SetPopuped(-1);
        pOver->OnCustomizeDragOver(pDataObject, point);
    }

    // The dragged control decides whether it may land here (a list
    // placeholder goes only into menus), whatever lies under the pointer; a
    // bar that takes no drops while empty refuses one with no control to
    // drop beside.
    DROPEFFECT dropEffect = ::GetKeyState(VK_CONTROL) < 0 ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
    if (!pDataObject->AcceptsCustomizeDrop(this, point) || (nIndex == -1 && IsEmptyDropRefused()))
        dropEffect = DROPEFFECT_NONE;
    if (dropEffect == DROPEFFECT_NONE)
        rcMarker.SetRectEmpty();
    ShowInsertMarker(rcMarker);
    return dropEffect;
}

void CXTPCommandBar::OnCustomizeDrop(CXTPControl* pDataObject, DROPEFFECT& dropEffect, CPoint ptDrop,
                                     CPoint ptDrag)
{
    if (pDataObject == NULL || !pDataObject->AcceptsCustomizeDrop(this, ptDrop))
    {
        // A control that may not land on this bar is not put there.
        dropEffect = DROPEFFECT_NONE;
        ShowInsertMarker(CRect(0, 0, 0, 0));
        return;
    }
    CRect rcMarker;
    BOOL bAfter = FALSE;
    int nIndex = FindCustomizeDropIndex(pDataObject, ptDrop, rcMarker, bAfter);

    if (nIndex != -1 && GetControl(nIndex) == pDataObject)
    {
        // Dropped back onto itself: a small move changes nothing, one past
        // the middle makes the control begin a group.
        if (abs(ptDrop.x - ptDrag.x) > 5 || abs(ptDrop.y - ptDrag.y) > 5)
            pDataObject->SetBeginGroup(bAfter && !pDataObject->IsFirstOnBar());
        dropEffect = DROPEFFECT_COPY | DROPEFFECT_LINK;
    }
    else
    {
        // No control to drop beside (an empty bar): the new control goes
        // first, in front of a toolbar's hidden expand button.
        if (bAfter)
            nIndex++;
        SetPopuped(-1);
        SetSelected(-1);

        BOOL bBeginGroup = FALSE;
        CXTPControl* pBefore = GetControl(nIndex);
        if (pBefore != NULL && pBefore->GetBeginGroup() && !bAfter)
        {
            pBefore->SetBeginGroup(FALSE);
            bBeginGroup = TRUE;
        }
        CXTPControl* pClone = m_pControls->AddClone(pDataObject, nIndex, TRUE);
        if (pClone != NULL)
        {
            pClone->SetBeginGroup(bBeginGroup);
            CXTPCommandBars* pCommandBars = GetCommandBars();
            if (pCommandBars != NULL)
                pCommandBars->SetDragControl(pClone);
        }
    }
    OnRecalcLayout();
    m_rcMarker.SetRectEmpty();
    Redraw();
    // A tip shown or pending for what lay under the mouse before the drop
    // goes with it.
    if (m_pToolTipContext != NULL)
        m_pToolTipContext->CancelToolTips();
}

void CXTPCommandBar::DrawInsertMarker(CDC* pDC)
{
    CRect rc = m_rcMarker;
    if (rc.IsRectEmpty())
        return;
    CBrush brush(::GetSysColor(COLOR_BTNFACE));
    CBrush* pOldBrush = pDC->SelectObject(&brush);
    if (m_bVerticalMarker)
    {
        pDC->PatBlt(rc.left, rc.top, 1, rc.Height(), PATINVERT);
        pDC->PatBlt(rc.right - 1, rc.top, 1, rc.Height(), PATINVERT);
        pDC->PatBlt(rc.left + 1, rc.top + 1, 1, rc.Height() - 2, PATINVERT);
        pDC->PatBlt(rc.right - 2, rc.top + 1, 1, rc.Height() - 2, PATINVERT);
        pDC->PatBlt(rc.left + 2, rc.top + 2, rc.Width() - 4, 2, PATINVERT);
    }
    else
    {
        pDC->PatBlt(rc.left, rc.top, rc.Width(), 1, PATINVERT);
        pDC->PatBlt(rc.left, rc.bottom - 1, rc.Width(), 1, PATINVERT);
        pDC->PatBlt(rc.left + 1, rc.top + 1, rc.Width() - 2, 1, PATINVERT);
        pDC->PatBlt(rc.left + 1, rc.bottom - 2, rc.Width() - 2, 1, PATINVERT);
        pDC->PatBlt(rc.left + 2, rc.top + 2, 2, rc.Height() - 4, PATINVERT);
    }
    pDC->SelectObject(pOldBrush);
}
