// The ribbon's system button and its menu.
#include "XTPRibbonSystemButton.h"

#include <algorithm>

#include "XTPCommandBars.h"
#include "XTPControlExtras.h"
#include "XTPControls.h"
#include "XTPDCHelpers.h"
#include "XTPOffice2007Image.h"
#include "XTPOffice2007Theme.h"
#include "XTPPaintManager.h"
#include "XTPRibbonBar.h"
#include "XTPRibbonTheme.h"

namespace
{
const COLORREF kMagenta = RGB(255, 0, 255);
// The system menu's borders: the caption band on top, the button strip below.
const CRect kSystemBorders(6, 18, 6, 29);
const int kListWidth = 300;

// A colour of the theme's "Ribbon" section, or the fallback when missing.
COLORREF RibbonColor(CXTPPaintManager* pPaintManager, LPCTSTR lpszKey, COLORREF clrDefault)
{
    COLORREF clr = XTPRibbonImageStore(pPaintManager)->GetImageColor(_T("Ribbon"), lpszKey);
    return clr == (COLORREF)-1 ? clrDefault : clr;
}

// The ribbon's system button draws through the ribbon theme when it is the
// paint manager, else as a tool-bar button.
void DrawSystemButtonFace(CDC* pDC, CXTPControl* pControl, CRect rc)
{
    CXTPPaintManager* pPaintManager = pControl->GetPaintManager();
    if (pPaintManager == NULL)
        return;
    // Drawn elsewhere than its own rectangle (over the system menu): the DC
    // moves, so that drawing by the control's rectangle lands there too.
    CPoint ptShift = rc.TopLeft() - pControl->GetRect().TopLeft();
    CPoint ptOrg = pDC->OffsetViewportOrg(ptShift.x, ptShift.y);
    CRect rcOwn = pControl->GetRect();
    CXTPRibbonTheme* pTheme = dynamic_cast<CXTPRibbonTheme*>(pPaintManager);
    if (pTheme != NULL)
        pTheme->DrawSystemButton(pDC, pControl, rcOwn);
    else
        pPaintManager->DrawToolBarControl(pDC, pControl, TRUE);
    pDC->SetViewportOrg(ptOrg);
}
} // namespace

CXTPOffice2007ImageStore* AFX_CDECL XTPRibbonImageStore(CXTPPaintManager* pPaintManager)
{
    CXTPOffice2007Theme* pTheme = dynamic_cast<CXTPOffice2007Theme*>(pPaintManager);
    if (pTheme != NULL && pTheme->GetImages() != NULL)
        return pTheme->GetImages();
    return XTPOffice2007ImageStore();
}

//////////////////////////////////////////////////////////////////////////
// CXTPRibbonControlSystemButton

IMPLEMENT_DYNCREATE(CXTPRibbonControlSystemButton, CXTPControlPopup)

CXTPRibbonControlSystemButton::CXTPRibbonControlSystemButton()
{
    m_dwFlags = xtpFlagManualUpdate | xtpFlagNoMovable;
}

void CXTPRibbonControlSystemButton::Draw(CDC* pDC)
{
    DrawSystemButtonFace(pDC, this, m_rcControl);
}

BOOL CXTPRibbonControlSystemButton::OnLButtonDblClk(CPoint)
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars != NULL)
        pCommandBars->ClosePopups();
    CWnd* pSite = m_pParent != NULL ? m_pParent->GetSite() : NULL;
    if (pSite != NULL && pSite->GetSafeHwnd() != NULL)
        pSite->SendMessage(WM_SYSCOMMAND, SC_CLOSE | 3, 0);
    return TRUE;
}

CXTPControl* CXTPRibbonControlSystemButton::Clone(BOOL bRecursive)
{
    CXTPRibbonControlSystemButton* pControl = new CXTPRibbonControlSystemButton();
    pControl->Copy(this, bRecursive);
    return pControl;
}

void CXTPRibbonControlSystemButton::AdjustExcludeRect(CRect& rc, BOOL bVertical)
{
    CXTPRibbonBar* pRibbon = DYNAMIC_DOWNCAST(CXTPRibbonBar, m_pParent);
    if (pRibbon != NULL && pRibbon->IsCaptionVisible() && pRibbon->IsTabsVisible() && m_pCommandBar != NULL &&
        m_pCommandBar->IsKindOf(RUNTIME_CLASS(CXTPRibbonSystemPopupBar)))
    {
        rc.bottom -= 18;
        return;
    }
    CXTPControlPopup::AdjustExcludeRect(rc, bVertical);
}

//////////////////////////////////////////////////////////////////////////
// CXTPRibbonSystemPopupBar

IMPLEMENT_DYNCREATE(CXTPRibbonSystemPopupBar, CXTPPopupBar)

BEGIN_MESSAGE_MAP(CXTPRibbonSystemPopupBar, CXTPPopupBar)
    ON_WM_NCHITTEST()
END_MESSAGE_MAP()

CXTPRibbonSystemPopupBar::CXTPRibbonSystemPopupBar()
{
    m_rcBorders = kSystemBorders;
    SetShowGripper(FALSE);
}

CRect CXTPRibbonSystemPopupBar::GetBorders()
{
    return kSystemBorders;
}

CXTPRibbonControlSystemButton* CXTPRibbonSystemPopupBar::GetSystemButton() const
{
    return DYNAMIC_DOWNCAST(CXTPRibbonControlSystemButton, m_pControlPopup);
}

CSize CXTPRibbonSystemPopupBar::CalcDynamicLayout(int nLength, DWORD dwMode)
{
    // The bottom-strip buttons stay out of the base layout.
    CArray<CXTPControl*, CXTPControl*> arrButtons;
    for (int i = 0; i < GetControlCount(); i++)
    {
        CXTPControl* pControl = GetControl(i);
        if (pControl->IsKindOf(RUNTIME_CLASS(CXTPRibbonControlSystemPopupBarButton)))
        {
            pControl->SetHideFlag(xtpHideExcluded, TRUE);
            arrButtons.Add(pControl);
        }
    }

    CSize sz = CXTPPopupBar::CalcDynamicLayout(nLength, dwMode);
    if (arrButtons.GetSize() == 0)
        return sz;

    CClientDC dc(NULL);
    CXTPPaintManager* pPaintManager = GetPaintManager();
    CXTPFontDC font(&dc, pPaintManager != NULL ? pPaintManager->GetCommandBarFont(this) : NULL);
    int x = sz.cx - kSystemBorders.right + 1;
    for (INT_PTR i = arrButtons.GetSize() - 1; i >= 0; i--)
    {
        CXTPControl* pButton = arrButtons[i];
        pButton->SetHideFlag(xtpHideExcluded, FALSE);
        CSize szButton = pButton->GetSize(&dc);
        pButton->SetRect(CRect(x - szButton.cx, sz.cy - kSystemBorders.bottom + 4, x, sz.cy - 3));
        x -= szButton.cx + 6;
    }
    return sz;
}

void CXTPRibbonSystemPopupBar::FillBackground(CDC* pDC)
{
    CRect rcClient;
    GetClientRect(&rcClient);
    CXTPPaintManager* pPaintManager = GetPaintManager();
    CXTPOffice2007Image* pImage = XTPRibbonImageStore(pPaintManager)->GetImage(_T("RIBBONSYSTEMMENU"));
    if (pImage == NULL)
    {
        // No picture: the plain popup background.
        CXTPPopupBar::FillBackground(pDC);
        return;
    }
    pImage->DrawImage(pDC, rcClient, pImage->GetSource(0, 1), kSystemBorders);

    // The system button shows on top of the menu where the two meet.
    CXTPRibbonControlSystemButton* pSystemButton = GetSystemButton();
    CXTPRibbonBar* pRibbon = pSystemButton != NULL ? DYNAMIC_DOWNCAST(CXTPRibbonBar, pSystemButton->GetParent()) : NULL;
    if (pRibbon != NULL && pRibbon->IsCaptionVisible() && pRibbon->GetSafeHwnd() != NULL && GetSafeHwnd() != NULL)
    {
        CRect rcButton = pSystemButton->GetRect();
        pRibbon->ClientToScreen(&rcButton);
        ScreenToClient(&rcButton);
        CRect rcMeet;
        if (rcMeet.IntersectRect(rcButton, rcClient))
            DrawSystemButtonFace(pDC, pSystemButton, rcButton);
    }

    // The second column on its own background.
    for (int i = 0; i < GetControlCount(); i++)
    {
        CXTPControl* pControl = GetControl(i);
        if (pControl->IsVisible() && pControl->GetWrap())
        {
            pDC->FillSolidRect(pControl->GetRowRect(),
                               RibbonColor(pPaintManager, _T("RecentFileListBackground"), ::GetSysColor(COLOR_WINDOW)));
            break;
        }
    }
}

BOOL CXTPRibbonSystemPopupBar::IsOnSystemButton(CPoint ptScreen) const
{
    CXTPRibbonControlSystemButton* pSystemButton = GetSystemButton();
    CXTPCommandBar* pParent = pSystemButton != NULL ? pSystemButton->GetParent() : NULL;
    if (pParent == NULL || pParent->GetSafeHwnd() == NULL)
        return FALSE;
    CRect rcButton = pSystemButton->GetRect();
    pParent->ClientToScreen(&rcButton);
    return rcButton.PtInRect(ptScreen);
}

LRESULT CXTPRibbonSystemPopupBar::OnNcHitTest(CPoint point)
{
    // Clicks on the system button's part under the menu reach the button.
    if (IsOnSystemButton(point))
        return HTTRANSPARENT;
    return (LRESULT)Default();
}

BOOL CXTPRibbonSystemPopupBar::SetTrackingMode(int bMode, BOOL bSelectFirst, BOOL bKeyboard)
{
    // The base may let go of the last other reference.
    InternalAddRef();
    BOOL bResult = CXTPPopupBar::SetTrackingMode(bMode, bSelectFirst, bKeyboard);
    PassPressesOnCoveredButton(IsTrackingMode() && m_hWnd != NULL && IsWindowVisible());
    InternalRelease();
    return bResult;
}

namespace
{
// The hook that passes presses on the covered part of the system button,
// and the menu it passes them for.
HHOOK g_hHookCoveredButton = NULL;
HWND g_hWndCoveringMenu = NULL;

void UnhookCoveredButton()
{
    if (g_hHookCoveredButton != NULL)
        ::UnhookWindowsHookEx(g_hHookCoveredButton);
    g_hHookCoveredButton = NULL;
    g_hWndCoveringMenu = NULL;
}
} // namespace

void CXTPRibbonSystemPopupBar::PassPressesOnCoveredButton(BOOL bPass)
{
    // On Windows the system passes those presses on itself.
    if (bPass && AfxIsRunningOnWine())
    {
        g_hWndCoveringMenu = m_hWnd;
        if (g_hHookCoveredButton == NULL)
            g_hHookCoveredButton = ::SetWindowsHookExA(WH_MOUSE_LL, &CoveredButtonMouseProc, AfxGetInstanceHandle(), 0);
    }
    else if (g_hWndCoveringMenu == m_hWnd)
    {
        UnhookCoveredButton();
    }
}

BOOL CXTPRibbonSystemPopupBar::PassPressOnCoveredButton(CPoint ptScreen)
{
    // Only a press on the part of the button the menu covers, with nothing
    // but the menu in front of the button's bar there: the system routes
    // every other press itself.
    CRect rcMenu;
    GetWindowRect(&rcMenu);
    CXTPRibbonControlSystemButton* pSystemButton = GetSystemButton();
    CXTPCommandBar* pBar = pSystemButton != NULL ? pSystemButton->GetParent() : NULL;
    if (!rcMenu.PtInRect(ptScreen) || !IsOnSystemButton(ptScreen) || pBar == NULL ||
        ::WindowFromPoint(ptScreen) != pBar->GetSafeHwnd())
        return FALSE;
    // Posted, so that the bar takes it from the queue, as the press itself.
    CPoint ptClient = ptScreen;
    pBar->ScreenToClient(&ptClient);
    pBar->PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptClient.x, ptClient.y));
    return TRUE;
}

LRESULT CALLBACK CXTPRibbonSystemPopupBar::CoveredButtonMouseProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    HHOOK hHook = g_hHookCoveredButton;
    try
    {
        const MSLLHOOKSTRUCT* pInfo = reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam);
        if (nCode == HC_ACTION && wParam == WM_LBUTTONDOWN && pInfo != NULL)
        {
            // A menu closed or destroyed without leaving tracking takes the hook with it.
            CXTPRibbonSystemPopupBar* pMenu =
                DYNAMIC_DOWNCAST(CXTPRibbonSystemPopupBar, CWnd::FromHandlePermanent(g_hWndCoveringMenu));
            if (pMenu == NULL || !pMenu->IsTrackingMode() || !pMenu->IsWindowVisible())
                UnhookCoveredButton();
            else if (pMenu->PassPressOnCoveredButton(pInfo->pt))
                return 1;
        }
    }
    catch (CException* e)
    {
        TRACE_EXCEPTION("The system menu's mouse hook", e);
        e->Delete();
    }
    catch (...)
    {
        TRACE_EXCEPTION("The system menu's mouse hook", NULL);
    }
    return ::CallNextHookEx(hHook, nCode, wParam, lParam);
}

CXTPCommandBar* CXTPRibbonSystemPopupBar::Clone(BOOL bRecursive)
{
    CXTPRibbonSystemPopupBar* pBar = new CXTPRibbonSystemPopupBar();
    pBar->Copy(this, bRecursive);
    return pBar;
}

//////////////////////////////////////////////////////////////////////////
// CXTPRibbonSystemPopupBarPage

IMPLEMENT_DYNCREATE(CXTPRibbonSystemPopupBarPage, CXTPPopupBar)

CXTPRibbonSystemPopupBarPage::CXTPRibbonSystemPopupBarPage()
{
}

CXTPRibbonSystemPopupBar* CXTPRibbonSystemPopupBarPage::GetSystemPopupBar() const
{
    if (m_pControlPopup == NULL)
        return NULL;
    return DYNAMIC_DOWNCAST(CXTPRibbonSystemPopupBar, m_pControlPopup->GetParent());
}

void CXTPRibbonSystemPopupBarPage::AdjustExcludeRect(CRect& rc, BOOL bVertical)
{
    CXTPRibbonSystemPopupBar* pSystem = GetSystemPopupBar();
    if (pSystem == NULL || pSystem->GetSafeHwnd() == NULL)
    {
        CXTPPopupBar::AdjustExcludeRect(rc, bVertical);
        return;
    }
    // Beside the item list, from just below the menu's caption band. The
    // rectangle is in the menu's client coordinates (the popup bar converts
    // it to the screen afterwards).
    rc.top = pSystem->GetBorders().top + 1;
    rc.right += 1;
}

CSize CXTPRibbonSystemPopupBarPage::CalcDynamicLayout(int nLength, DWORD dwMode)
{
    CSize sz = CXTPPopupBar::CalcDynamicLayout(nLength, dwMode);
    CXTPRibbonSystemPopupBar* pSystem = GetSystemPopupBar();
    if (pSystem != NULL && pSystem->GetSafeHwnd() != NULL)
    {
        CRect rcSystem;
        pSystem->GetWindowRect(&rcSystem);
        CRect rcBorders = pSystem->GetBorders();
        sz.cy = std::max((int)sz.cy, (int)(rcSystem.Height() - rcBorders.bottom - rcBorders.top - 2));
    }
    return sz;
}

CXTPCommandBar* CXTPRibbonSystemPopupBarPage::Clone(BOOL bRecursive)
{
    CXTPRibbonSystemPopupBarPage* pBar = new CXTPRibbonSystemPopupBarPage();
    pBar->Copy(this, bRecursive);
    return pBar;
}

//////////////////////////////////////////////////////////////////////////
// CXTPRibbonControlSystemPopupBarButton

IMPLEMENT_DYNCREATE(CXTPRibbonControlSystemPopupBarButton, CXTPControlButton)

CXTPRibbonControlSystemPopupBarButton::CXTPRibbonControlSystemPopupBarButton()
{
}

CSize CXTPRibbonControlSystemPopupBarButton::GetSize(CDC* pDC)
{
    CXTPPaintManager* pPaintManager = GetPaintManager();
    return pPaintManager != NULL ? pPaintManager->DrawToolBarControl(pDC, this, FALSE) : CSize(0, 0);
}

void CXTPRibbonControlSystemPopupBarButton::Draw(CDC* pDC)
{
    CXTPPaintManager* pPaintManager = GetPaintManager();
    if (pPaintManager == NULL)
        return;
    CXTPOffice2007Image* pImage = XTPRibbonImageStore(pPaintManager)->GetImage(_T("RIBBONSYSTEMMENUBUTTON"));
    if (pImage != NULL)
        pImage->DrawImageTransparent(pDC, m_rcControl, pImage->GetSource(GetSelected() ? 1 : 0, 2), CRect(2, 2, 2, 2),
                                     kMagenta);
    pPaintManager->DrawToolBarControl(pDC, this, TRUE);
}

CXTPControl* CXTPRibbonControlSystemPopupBarButton::Clone(BOOL bRecursive)
{
    CXTPRibbonControlSystemPopupBarButton* pControl = new CXTPRibbonControlSystemPopupBarButton();
    pControl->Copy(this, bRecursive);
    return pControl;
}

//////////////////////////////////////////////////////////////////////////
// CXTPRibbonControlSystemPopupBarListItem

IMPLEMENT_DYNCREATE(CXTPRibbonControlSystemPopupBarListItem, CXTPControlButton)

CXTPRibbonControlSystemPopupBarListItem::CXTPRibbonControlSystemPopupBarListItem()
{
    m_nWidth = kListWidth;
    m_nHeight = 21;
}

CSize CXTPRibbonControlSystemPopupBarListItem::GetSize(CDC*)
{
    return CSize(m_nWidth, m_nHeight);
}

void CXTPRibbonControlSystemPopupBarListItem::Draw(CDC* pDC)
{
    CXTPPaintManager* pPaintManager = GetPaintManager();
    if (pPaintManager == NULL)
        return;
    pPaintManager->DrawControlEntry(pDC, this);
    pDC->SetTextColor(pPaintManager->GetControlTextColor(this));
    pDC->SetBkMode(TRANSPARENT);
    CRect rcText(m_rcControl.left + 7, m_rcControl.top, m_rcControl.right, m_rcControl.bottom);
    pDC->DrawText(GetCaption(), rcText, DT_VCENTER | DT_SINGLELINE);
}

CXTPControl* CXTPRibbonControlSystemPopupBarListItem::Clone(BOOL bRecursive)
{
    CXTPRibbonControlSystemPopupBarListItem* pControl = new CXTPRibbonControlSystemPopupBarListItem();
    pControl->Copy(this, bRecursive);
    return pControl;
}

//////////////////////////////////////////////////////////////////////////
// CXTPRibbonControlSystemPopupBarListCaption

IMPLEMENT_DYNCREATE(CXTPRibbonControlSystemPopupBarListCaption, CXTPControl)

CXTPRibbonControlSystemPopupBarListCaption::CXTPRibbonControlSystemPopupBarListCaption()
{
    m_dwFlags = xtpFlagWrapRow | xtpFlagNoMovable | xtpFlagManualUpdate | xtpFlagSkipFocus;
}

CSize CXTPRibbonControlSystemPopupBarListCaption::GetSize(CDC*)
{
    return CSize(kListWidth, 27);
}

void CXTPRibbonControlSystemPopupBarListCaption::Draw(CDC* pDC)
{
    CXTPPaintManager* pPaintManager = GetPaintManager();
    if (pPaintManager == NULL)
        return;
    {
        CXTPFontDC font(pDC, pPaintManager->GetCommandBarFont(m_pParent, TRUE));
        pDC->SetBkMode(TRANSPARENT);
        pDC->SetTextColor(pPaintManager->GetControlTextColor(this));
        CRect rcText(m_rcControl.left + 7, m_rcControl.top + 4, m_rcControl.right, m_rcControl.bottom - 5);
        pDC->DrawText(GetCaption(), rcText, DT_SINGLELINE);
    }
    pPaintManager->HorizontalLine(pDC, m_rcControl.left, m_rcControl.bottom - 6, m_rcControl.right,
                                  RibbonColor(pPaintManager, _T("RecentFileListEdgeShadow"),
                                              ::GetSysColor(COLOR_BTNSHADOW)));
    pPaintManager->HorizontalLine(pDC, m_rcControl.left, m_rcControl.bottom - 5, m_rcControl.right,
                                  RibbonColor(pPaintManager, _T("RecentFileListEdgeHighLight"),
                                              ::GetSysColor(COLOR_BTNHIGHLIGHT)));
}

CXTPControl* CXTPRibbonControlSystemPopupBarListCaption::Clone(BOOL bRecursive)
{
    CXTPRibbonControlSystemPopupBarListCaption* pControl = new CXTPRibbonControlSystemPopupBarListCaption();
    pControl->Copy(this, bRecursive);
    return pControl;
}

//////////////////////////////////////////////////////////////////////////
// CXTPRibbonControlSystemRecentFileList

IMPLEMENT_DYNCREATE(CXTPRibbonControlSystemRecentFileList, CXTPRibbonControlSystemPopupBarListCaption)

CXTPRibbonControlSystemRecentFileList::CXTPRibbonControlSystemRecentFileList()
{
}

CSize CXTPRibbonControlSystemRecentFileList::GetSize(CDC* pDC)
{
    return CXTPRibbonControlSystemPopupBarListCaption::GetSize(pDC);
}

void CXTPRibbonControlSystemRecentFileList::Draw(CDC* pDC)
{
    CXTPRibbonControlSystemPopupBarListCaption::Draw(pDC);
}

CRecentFileList* CXTPRibbonControlSystemRecentFileList::GetRecentFileList()
{
    CWinApp* pApp = AfxGetApp();
    return pApp != NULL ? pApp->m_pRecentFileList : NULL;
}

CString AFX_CDECL CXTPRibbonControlSystemRecentFileList::GetFileTitle(const CString& strPath)
{
    // Built in a string, so that a path of any length gives its whole name.
    int nStart = 0;
    for (int i = 0; i < strPath.GetLength(); i++)
    {
        char ch = strPath[i];
        if (ch == '\\' || ch == '/' || ch == ':')
            nStart = i + 1;
        else if (IsDBCSLeadByte((BYTE)ch) && i + 1 < strPath.GetLength())
            i++;
    }
    return strPath.Mid(nStart);
}

void CXTPRibbonControlSystemRecentFileList::OnCalcDynamicSize(DWORD)
{
    CRecentFileList* pRecentFileList = GetRecentFileList();
    if (pRecentFileList == NULL || pRecentFileList->m_arrNames == NULL || m_pControls == NULL)
        return;

    // The items made last time: exactly the ids [first, first + size).
    int nFirst = GetFirstId();
    int nSize = pRecentFileList->GetSize();
    while (m_nIndex + 1 < m_pControls->GetCount())
    {
        CXTPControl* pNext = m_pControls->GetAt(m_nIndex + 1);
        if (pNext->GetID() < nFirst || pNext->GetID() >= nFirst + nSize)
            break;
        m_pControls->Remove(pNext);
    }

    if (IsCustomizeMode())
    {
        SetVisible(TRUE);
        SetEnabled(TRUE);
        return;
    }

    for (int i = 0; i < nSize; i++)
    {
        CString strPath = (*pRecentFileList)[i];
        if (strPath.IsEmpty())
            break;
        CXTPRibbonControlSystemPopupBarListItem* pItem = new CXTPRibbonControlSystemPopupBarListItem();
        m_pControls->Add(pItem, nFirst + i, NULL, m_nIndex + 1 + i, TRUE);
        pItem->SetCaption(CXTPControlWindowList::ConstructCaption(GetFileTitle(strPath), i + 1));
        pItem->SetFlags(xtpFlagShowPopupBarTip | xtpFlagManualUpdate);
        pItem->SetTooltip(strPath);
        pItem->SetDescription(_T(""));
    }
}

CXTPControl* CXTPRibbonControlSystemRecentFileList::Clone(BOOL bRecursive)
{
    CXTPRibbonControlSystemRecentFileList* pControl = new CXTPRibbonControlSystemRecentFileList();
    pControl->Copy(this, bRecursive);
    return pControl;
}
