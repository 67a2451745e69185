// The ribbon bar: construction, size and layout, tabs, minimise, mouse and
// keyboard, drawing and exchange.
#include "XTPRibbonBar.h"

#include <afxpriv.h>

#include <algorithm>
#include <vector>

#include "XTPCommandBarKeyboardTip.h"
#include "XTPCommandBars.h"
#include "XTPCommandBarsExchange.h"
#include "XTPCommandBarsOptions.h"
#include "XTPControl.h"
#include "XTPControlAction.h"
#include "XTPControlGallery.h"
#include "XTPCustomizeDragTracker.h"
#include "XTPCustomizeSheet.h"
#include "XTPPopupBar.h"
#include "XTPControls.h"
#include "XTPDCHelpers.h"
#include "XTPDockContext.h"
#include "XTPDrawHelpers.h"
#include "XTPHookManager.h"
#include "XTPPropExchange.h"
#include "XTPResourceManager.h"
#include "XTPRibbonControls.h"
#include "XTPRibbonSystemButton.h"
#include "XTPRibbonTheme.h"
#include "XTPShortcutManager.h"
#include "XTPSystemHelpers.h"
#include "XTPTabPaintManager.h"
#include "XTPToolTipContext.h"

IMPLEMENT_DYNCREATE(CXTPRibbonBar, CXTPMenuBar)
XTP_IMPLEMENT_DYNCREATE_NESTED(CXTPRibbonBar, CControlCaptionButton, CXTPControlButton)

namespace
{
// Ids of the frame's caption buttons.
BOOL IsCaptionButtonId(int nId)
{
    return nId >= (int)SC_SIZE && nId <= (int)SC_RESTORE;
}

// The tip text of a ribbon caption: its access letter, else its first
// letter or digit (tips of one letter get a second one when shown).
CString RibbonTipLetter(const CString& strCaption)
{
    CString strLetter = XTPKeyboardTipLetter(strCaption);
    if (!strLetter.IsEmpty())
        return strLetter;
    for (int i = 0; i < strCaption.GetLength(); i++)
    {
        TCHAR ch = strCaption[i];
        if (::IsCharAlphaNumericA(ch))
        {
            CString strUpper(ch);
            strUpper.MakeUpper();
            return strUpper;
        }
    }
    return CString();
}

// The key of a group control's tip: the control's own shortcut text, else
// its action's, when that is a key one can type (letters and digits, a
// menu accelerator such as "Ctrl+S" is not); else the caption's letter.
CString GroupTipKey(const CXTPControl* pControl)
{
    CString strKey = pControl->m_strShortcutText;
    if (strKey.IsEmpty() && pControl->GetAction() != NULL)
        strKey = pControl->GetAction()->GetShortcutText();
    BOOL bTypeable = !strKey.IsEmpty() && strKey.GetLength() <= 3;
    for (int i = 0; i < strKey.GetLength() && bTypeable; i++)
        bTypeable = ::IsCharAlphaNumericA(strKey[i]);
    if (!bTypeable)
        return RibbonTipLetter(pControl->GetCaption());
    strKey.MakeUpper();
    return strKey;
}
} // namespace

// One theme shared by all bars whose paint manager is not a ribbon theme.
CXTPRibbonTheme* AFX_CDECL XTPRibbonSharedTheme()
{
    static CXTPRibbonTheme* s_pTheme = NULL;
    if (s_pTheme == NULL)
        s_pTheme = new CXTPRibbonTheme();
    return s_pTheme;
}

CXTPRibbonBar* AFX_CDECL XTPGetRibbonBar(CXTPCommandBar* pBar)
{
    for (int nGuard = 0; pBar != NULL && nGuard < 32; nGuard++)
    {
        if (pBar->IsKindOf(RUNTIME_CLASS(CXTPRibbonBar)))
            return (CXTPRibbonBar*)pBar;
        CXTPRibbonTabPopupToolBar* pTabPopup = DYNAMIC_DOWNCAST(CXTPRibbonTabPopupToolBar, pBar);
        if (pTabPopup != NULL)
            return pTabPopup->m_pRibbonBar;
        CXTPRibbonGroupPopupToolBar* pGroupPopup = DYNAMIC_DOWNCAST(CXTPRibbonGroupPopupToolBar, pBar);
        if (pGroupPopup != NULL)
            return pGroupPopup->m_pRibbonBar;
        pBar = pBar->GetParentCommandBar();
    }
    return NULL;
}

BOOL AFX_CDECL XTPIsRibbonOwnControl(const CXTPControl* pControl)
{
    if (pControl == NULL)
        return FALSE;
    CXTPControl* p = const_cast<CXTPControl*>(pControl);
    if (dynamic_cast<CXTPRibbonControlTab*>(p) != NULL ||
        dynamic_cast<CXTPRibbonBarControlQuickAccessPopup*>(p) != NULL ||
        dynamic_cast<CXTPRibbonBar::CControlQuickAccessMorePopup*>(p) != NULL ||
        dynamic_cast<CXTPRibbonControlSystemButton*>(p) != NULL ||
        dynamic_cast<CXTPRibbonScrollableBar::CControlGroupsScroll*>(p) != NULL ||
        dynamic_cast<CXTPRibbonBar::CControlCaptionButton*>(p) != NULL ||
        dynamic_cast<CXTPRibbonGroupControlPopup*>(p) != NULL || dynamic_cast<CXTPRibbonGroupOption*>(p) != NULL)
        return TRUE;
    // Any control the application made the ribbon's system button.
    CXTPRibbonBar* pRibbon = XTPGetRibbonBar(p->GetParent());
    return pRibbon != NULL && pRibbon->GetSystemButton() == p;
}

//////////////////////////////////////////////////////////////////////////
// Nested controls

CXTPRibbonBar::CControlCaptionButton::CControlCaptionButton(CXTPRibbonFrameManager* pFrameManager)
    : m_pFrameManager(pFrameManager)
{
    m_dwFlags = xtpFlagSkipFocus | xtpFlagNoMovable | 8;
}

void CXTPRibbonBar::CControlCaptionButton::Draw(CDC* pDC)
{
    CXTPRibbonBar* pRibbon = XTPGetRibbonBar(GetParent());
    CXTPRibbonTheme* pTheme = pRibbon != NULL ? pRibbon->GetRibbonPaintManager() : XTPRibbonSharedTheme();
    BOOL bActive = m_pFrameManager != NULL ? m_pFrameManager->IsFrameActive() : TRUE;
    pTheme->DrawCaptionButtonControl(pDC, GetRect(), GetID(), GetSelected(), GetPressed(), GetEnabled(), bActive);
}

void CXTPRibbonBar::CControlCaptionButton::OnExecute()
{
    CXTPCommandBar* pBar = GetParent();
    CWnd* pSite = pBar != NULL ? pBar->GetSite() : NULL;
    if (pSite != NULL && pSite->GetSafeHwnd() != NULL)
        pSite->PostMessage(WM_SYSCOMMAND, (WPARAM)GetID(), 0);
}

//////////////////////////////////////////////////////////////////////////
// Construction

BEGIN_MESSAGE_MAP(CXTPRibbonBar, CXTPMenuBar)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_RBUTTONDOWN()
    ON_WM_RBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSELEAVE()
    ON_WM_MOUSEWHEEL()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_CREATE()
    ON_WM_SETCURSOR()
    ON_WM_SHOWWINDOW()
    ON_COMMAND_RANGE(XTP_ID_RIBBONCUSTOMIZE_QUICKACCESS_BELOW, XTP_ID_RIBBONCUSTOMIZE_QUICKACCESS_ABOVE,
                     OnCustomizeCommand)
    ON_MESSAGE(WM_XTP_COMMAND, OnControlNotify)
END_MESSAGE_MAP()

CXTPRibbonBar::CXTPRibbonBar()
    : m_rcTabControl(0, 0, 0, 0), m_rcGroups(0, 0, 0, 0), m_rcCaption(0, 0, 0, 0), m_rcCaptionText(0, 0, 0, 0),
      m_rcHeader(0, 0, 0, 0), m_rcQuickAccess(0, 0, 0, 0), m_bRibbonShown(TRUE), m_bWindowHidden(FALSE), m_bGroupsVisible(TRUE),
      m_bTabsVisible(TRUE), m_bQuickAccessBelow(FALSE), m_bShowQuickAccess(TRUE),
      m_bAllowQuickAccessDuplicates(FALSE), m_bLayoutChanged(FALSE), m_nQuickAccessHeight(0),
      m_bAllowMinimize(TRUE), m_pQuickAccessControls(NULL), m_pControlTab(NULL), m_pControlQuickAccess(NULL),
      m_pControlQuickAccessMore(NULL), m_pControlSystemButton(NULL), m_pHighlightedGroup(NULL),
      m_nMinVisibleWidth(250), m_pFrameManager(NULL), m_pContextHeaders(NULL), m_nGroupsHeight(0),
      m_bMinimized(FALSE), m_bShowCaption(TRUE), m_bInLayout(FALSE)
{
    // The ribbon's own controls collection.
    CXTPControls* pOld = m_pControls;
    m_pControls = new CXTPRibbonControls();
    m_pControls->SetParent(this);
    if (pOld != NULL)
    {
        pOld->SetParent(NULL);
        pOld->InternalRelease();
    }

    m_barType = xtpBarTypeRibbon;
    m_dwFlags = xtpFlagStretched | xtpFlagIgnoreSetMenuMessage;
    EnableBitmapCache(TRUE);
    EnableAnimation(TRUE);

    InitScrollableBar(this);

    m_pQuickAccessControls = new CXTPRibbonQuickAccessControls();
    m_pQuickAccessControls->SetRibbonBar(this);

    m_pControlTab = new CXTPRibbonControlTab();
    m_pControls->Add(m_pControlTab, XTP_ID_RIBBONCONTROLTAB);

    m_pControlQuickAccess = new CXTPRibbonBarControlQuickAccessPopup();
    m_pControls->Add(m_pControlQuickAccess, XTP_ID_RIBBONCONTROLQUICKACCESS);

    m_pControlQuickAccessMore = new CControlQuickAccessMorePopup();
    m_pControls->Add(m_pControlQuickAccessMore, XTP_ID_RIBBONCONTROLQUICKACCESSMORE);
    m_pControlQuickAccessMore->SetHideFlag(xtpHideGeneric, TRUE);

    m_pContextHeaders = new CXTPRibbonTabContextHeaders();
}

CXTPRibbonBar::~CXTPRibbonBar()
{
    m_bInLayout = TRUE;     // no layout while the parts go
    m_pContextHeaders->RemoveAll();
    RemoveAllTabs();
    if (m_pQuickAccessControls != NULL)
    {
        m_pQuickAccessControls->RemoveAll();
        m_pQuickAccessControls->InternalRelease();
        m_pQuickAccessControls = NULL;
    }
    delete m_pFrameManager;
    m_pFrameManager = NULL;
    delete m_pContextHeaders;
    m_pContextHeaders = NULL;
    // The kept controls go with the bar.
    CXTPRibbonControls* pControls = DYNAMIC_DOWNCAST(CXTPRibbonControls, m_pControls);
    if (pControls != NULL)
        pControls->m_bForceRemove = TRUE;
    m_pControlTab = NULL;
}

void CXTPRibbonBar::OnRemoved()
{
    m_bInLayout = TRUE;
    delete m_pFrameManager;
    m_pFrameManager = NULL;
    if (m_pQuickAccessControls != NULL)
        m_pQuickAccessControls->RemoveAll();
    m_pContextHeaders->RemoveAll();
    RemoveAllTabs();
    m_bInLayout = FALSE;
    CXTPMenuBar::OnRemoved();
}

CXTPCommandBar* CXTPRibbonBar::Clone(BOOL bRecursive)
{
    CXTPRibbonBar* pBar = (CXTPRibbonBar*)GetRuntimeClass()->CreateObject();
    if (pBar == NULL)
        return NULL;
    pBar->Copy(this, bRecursive);
    return pBar;
}

void CXTPRibbonBar::Copy(CXTPCommandBar* pCommandBar, BOOL bRecursive)
{
    CXTPRibbonBar* pSource = DYNAMIC_DOWNCAST(CXTPRibbonBar, pCommandBar);
    if (pSource == NULL || pSource == this)
        return;
    m_bQuickAccessBelow = pSource->m_bQuickAccessBelow;
    m_bMinimized = pSource->m_bMinimized;
    if (m_bMinimized && m_pControlTab != NULL)
        m_pControlTab->SetSelectedItem(NULL);
    m_pQuickAccessControls->RemoveAll();
    for (int i = 0; i < pSource->m_pQuickAccessControls->GetCount(); i++)
    {
        CXTPControl* pControl = pSource->m_pQuickAccessControls->GetAt(i);
        CXTPControl* pClone = pControl->Clone(bRecursive);
        if (pClone != NULL)
        {
            m_pQuickAccessControls->Add(pClone, pControl->GetID());
            BindGalleryItems(pClone);
        }
    }
}

CXTPControlGallery* CXTPRibbonBar::FindGroupGallery(int nId) const
{
    for (int t = 0; t < GetTabCount(); t++)
    {
        CXTPRibbonGroups* pGroups = GetTab(t)->GetGroups();
        for (int g = 0; g < pGroups->GetCount(); g++)
        {
            CXTPRibbonGroup* pGroup = pGroups->GetAt(g);
            for (int i = 0; i < pGroup->GetCount(); i++)
            {
                CXTPControlGallery* pGallery = DYNAMIC_DOWNCAST(CXTPControlGallery, pGroup->GetAt(i));
                if (pGallery != NULL && pGallery->GetID() == nId)
                    return pGallery;
            }
        }
    }
    return NULL;
}

void CXTPRibbonBar::MakeGalleryPopup(CXTPControl* pButton, CXTPControl* pSource)
{
    // As a button the gallery is an ordinary popup control: it opens its own
    // popup (its recursive copy), which usually holds the gallery. Only a
    // gallery without one gets a popup that shows it in place.
    CXTPControlGallery* pSourceGallery = DYNAMIC_DOWNCAST(CXTPControlGallery, pSource);
    CXTPControlPopup* pButtonPopup = DYNAMIC_DOWNCAST(CXTPControlPopup, pButton);
    if (pSourceGallery == NULL || pButtonPopup == NULL || pButtonPopup->GetCommandBar() != NULL)
        return;
    CXTPPopupBar* pPopup = CXTPPopupBar::CreatePopupBar(GetCommandBars());
    if (pPopup == NULL)
        return;
    CXTPControlGallery* pInPlace = DYNAMIC_DOWNCAST(CXTPControlGallery, pSourceGallery->Clone(FALSE));
    if (pInPlace != NULL)
    {
        pInPlace->SetStyle(xtpButtonAutomatic);
        pInPlace->SetBeginGroup(FALSE);
        pInPlace->SetHideFlags(0);
        pInPlace->SetRibbonGroup(NULL);
        pPopup->GetControls()->Add(pInPlace, pSourceGallery->GetID());
    }
    pButtonPopup->SetCommandBar(pPopup);
    pPopup->InternalRelease();
}

CXTPControl* CXTPRibbonBar::CreateQuickAccessCopy(CXTPControl* pSource)
{
    CXTPControl* pClone = pSource != NULL ? pSource->Clone(TRUE) : NULL;
    if (pClone == NULL)
        return NULL;
    pClone->SetBeginGroup(FALSE);
    pClone->SetHideFlags(0);
    pClone->SetRibbonGroup(NULL);
    if (pClone->GetType() == xtpControlGallery && pClone->GetStyle() != xtpButtonIcon)
    {
        pClone->SetStyle(xtpButtonIcon);
        MakeGalleryPopup(pClone, pSource);
    }
    return pClone;
}

void CXTPRibbonBar::BindGalleryItems(CXTPControl* pControl)
{
    // Gallery items are the program's and are not stored: a gallery of the
    // quick-access toolbar that came back from the store without them, and
    // the galleries of the popup it opens, take the items of the ribbon's own
    // gallery of that id.
    CXTPControlGallery* pGallery = DYNAMIC_DOWNCAST(CXTPControlGallery, pControl);
    if (pGallery == NULL)
        return;
    CXTPControlGallery* pOwn = FindGroupGallery(pGallery->GetID());
    if (pOwn == NULL || pOwn->GetItems() == NULL)
        return;
    if (pGallery->GetItems() == NULL)
        pGallery->SetItems(pOwn->GetItems());
    CXTPCommandBar* pPopup = pGallery->GetCommandBar();
    for (int i = 0; pPopup != NULL && i < pPopup->GetControlCount(); i++)
    {
        CXTPControlGallery* pShown = DYNAMIC_DOWNCAST(CXTPControlGallery, pPopup->GetControl(i));
        if (pShown != NULL && pShown->GetID() == pOwn->GetID() && pShown->GetItems() == NULL)
            pShown->SetItems(pOwn->GetItems());
    }
}

//////////////////////////////////////////////////////////////////////////
// Customize drop

BOOL CXTPRibbonBar::FindQuickAccessDrop(CXTPControl* pDataObject, CPoint point, int& nIndex, BOOL& bAfter,
                                        CRect& rcMarker)
{
    const int kMarker = 6;
    nIndex = -1;
    bAfter = TRUE;
    rcMarker.SetRectEmpty();
    if (pDataObject == NULL || !m_bShowQuickAccess || !m_rcQuickAccess.PtInRect(point))
        return FALSE;
    // The dragged control decides first whether it may land on this bar (a
    // list placeholder lands only in menus); then a control of the toolbar
    // moves along it, and another is taken as the toolbar's commands allow
    // (no duplicates, none that may not move).
    if (!pDataObject->AcceptsCustomizeDrop(this, point))
        return FALSE;
    if (!IsQuickAccessControl(pDataObject) && !IsAllowQuickAccessControl(pDataObject))
        return FALSE;
    int nBestDistance = INT_MAX;
    for (int i = 0; i < m_pQuickAccessControls->GetCount(); i++)
    {
        CXTPControl* pControl = m_pQuickAccessControls->GetAt(i);
        if (!pControl->IsVisible())
            continue;
        int nDistance = abs(pControl->GetRect().CenterPoint().x - point.x);
        if (nDistance < nBestDistance)
        {
            nIndex = i;
            nBestDistance = nDistance;
        }
    }
    if (nIndex == -1)
    {
        rcMarker.SetRect(m_rcQuickAccess.left + 2, m_rcQuickAccess.top + 2, m_rcQuickAccess.left + 2 + kMarker,
                         m_rcQuickAccess.bottom - 2);
        return TRUE;
    }
    CXTPControl* pBest = m_pQuickAccessControls->GetAt(nIndex);
    CRect rc = pBest->GetRect();
    bAfter = rc.CenterPoint().x < point.x;
    if (pBest != pDataObject)
    {
        int x = bAfter ? rc.right - kMarker / 2 : rc.left - kMarker / 2;
        rcMarker.SetRect(x, rc.top, x + kMarker, rc.bottom);
        m_bVerticalMarker = FALSE;
    }
    return TRUE;
}

DROPEFFECT CXTPRibbonBar::OnCustomizeDragOver(CXTPControl* pDataObject, CPoint point)
{
    // The tabs and groups are the program's: a drop elsewhere than on the
    // quick-access toolbar is refused and shows no mark.
    CRect rcMarker;
    int nIndex = -1;
    BOOL bAfter = FALSE;
    DROPEFFECT dropEffect = DROPEFFECT_NONE;
    if (IsCustomizable() && m_hWnd != NULL && ::IsWindowVisible(m_hWnd) &&
        FindQuickAccessDrop(pDataObject, point, nIndex, bAfter, rcMarker))
        dropEffect = ::GetKeyState(VK_CONTROL) < 0 ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
    else
        rcMarker.SetRectEmpty();
    ShowInsertMarker(rcMarker);
    return dropEffect;
}

void CXTPRibbonBar::OnCustomizeDrop(CXTPControl* pDataObject, DROPEFFECT& dropEffect, CPoint ptDrop,
                                    CPoint /*ptDrag*/)
{
    CRect rcMarker;
    int nIndex = -1;
    BOOL bAfter = FALSE;
    if (!FindQuickAccessDrop(pDataObject, ptDrop, nIndex, bAfter, rcMarker))
    {
        // Nothing was taken: a moved control stays where it came from.
        dropEffect = DROPEFFECT_NONE;
    }
    else if (nIndex != -1 && m_pQuickAccessControls->GetAt(nIndex) == pDataObject)
    {
        // Dropped back onto itself: nothing changes.
        dropEffect = DROPEFFECT_COPY | DROPEFFECT_LINK;
    }
    else
    {
        if (nIndex == -1 || bAfter)
            nIndex = nIndex == -1 ? m_pQuickAccessControls->GetCount() : nIndex + 1;
        SetPopuped(-1);
        SetSelected(-1);
        // A control of the tabs or groups stays there: the toolbar gets a copy.
        if (!IsCustomizationKept(pDataObject) && pDataObject->GetParent() == this)
            dropEffect = DROPEFFECT_COPY;
        CXTPControl* pClone = CreateQuickAccessCopy(pDataObject);
        if (pClone != NULL)
        {
            m_pQuickAccessControls->InsertAt(pClone, nIndex);
            CXTPCommandBars* pCommandBars = GetCommandBars();
            if (pCommandBars != NULL)
                pCommandBars->SetDragControl(pClone);
        }
    }
    OnRecalcLayout();
    m_rcMarker.SetRectEmpty();
    Redraw();
}

void CXTPRibbonBar::ResetToolBar(BOOL bShowWarningMessage)
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars == NULL || !m_bBuiltIn || !IsCustomizable())
        return;
    if (bShowWarningMessage && !ConfirmReset())
        return;
    // Without a recorded original set the program's own toolbar is unknown:
    // what the user has stays.
    CXTPControls* pOriginal = m_pQuickAccessControls->GetOriginalControls();
    if (pOriginal != NULL)
    {
        SetPopuped(-1);
        SetSelected(-1);
        CXTPControl* pDrag = pCommandBars->GetDragControl();
        if (pDrag != NULL && IsQuickAccessControl(pDrag))
            pCommandBars->SetDragControl(NULL);
        pOriginal->InternalAddRef();
        m_pQuickAccessControls->m_bLoading = TRUE;
        m_pQuickAccessControls->RemoveAll();
        for (int i = 0; i < pOriginal->GetCount(); i++)
        {
            CXTPControl* pSource = pOriginal->GetAt(i);
            CXTPControl* pClone = pSource->IsTemporary() ? NULL : pSource->Clone(TRUE);
            if (pClone != NULL)
            {
                m_pQuickAccessControls->Add(pClone, pSource->GetID());
                BindGalleryItems(pClone);
            }
        }
        m_pQuickAccessControls->m_bLoading = FALSE;
        pOriginal->InternalRelease();
    }
    AfterReset();
    Redraw();
}

void CXTPRibbonBar::GenerateCommandBarList(DWORD& nID, CXTPCommandBarList* pCommandBarList, void* pParam)
{
    // Only the quick-access toolbar is stored with the ribbon, so only the
    // bars its controls open go with it. The tabs, the groups and the popups
    // they open (the tab strip's popup of a minimised ribbon among them) are
    // the program's, made afresh on every start; such a passing popup in the
    // store would end the next load early.
    if (pCommandBarList == NULL || pCommandBarList->Lookup(this))
        return;
    InternalAddRef();
    pCommandBarList->Add(this);
    for (int i = 0; i < m_pQuickAccessControls->GetCount(); i++)
    {
        CXTPControl* pControl = m_pQuickAccessControls->GetAt(i);
        if (!pControl->IsTemporary())
            pControl->GenerateCommandBarList(nID, pCommandBarList, pParam);
    }
    XTP_COMMANDBARS_PROPEXCHANGE_PARAM* pExchangeParam = (XTP_COMMANDBARS_PROPEXCHANGE_PARAM*)pParam;
    CXTPControls* pOriginal = m_pQuickAccessControls->GetOriginalControls();
    if (pOriginal != NULL && (pExchangeParam == NULL || pExchangeParam->bSaveOriginalControls))
    {
        for (int i = 0; i < pOriginal->GetCount(); i++)
            pOriginal->GetAt(i)->GenerateCommandBarList(nID, pCommandBarList, pParam);
    }
}

void CXTPRibbonBar::RestoreCommandBarList(CXTPCommandBarList* pCommandBarList)
{
    for (int i = 0; i < m_pQuickAccessControls->GetCount(); i++)
        m_pQuickAccessControls->GetAt(i)->RestoreCommandBarList(pCommandBarList);
    CXTPControls* pOriginal = m_pQuickAccessControls->GetOriginalControls();
    for (int i = 0; pOriginal != NULL && i < pOriginal->GetCount(); i++)
        pOriginal->GetAt(i)->RestoreCommandBarList(pCommandBarList);
}

BOOL CXTPRibbonBar::LoadMenuBar(UINT /*nIDResource*/)
{
    // The ribbon has no menu: only the site's hooks of a menu bar.
    return CXTPMenuBar::LoadMenuBar(0);
}

int CXTPRibbonBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CXTPMenuBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    // The ribbon is never dragged off its row.
    delete m_pDockContext;
    m_pDockContext = NULL;
    return 0;
}

CXTPPaintManager* CXTPRibbonBar::GetPaintManager()
{
    return CXTPMenuBar::GetPaintManager();
}

CXTPRibbonTheme* CXTPRibbonBar::GetRibbonPaintManager()
{
    CXTPRibbonTheme* pTheme = dynamic_cast<CXTPRibbonTheme*>(GetPaintManager());
    return pTheme != NULL ? pTheme : XTPRibbonSharedTheme();
}

CSize CXTPRibbonBar::GetButtonSize() const
{
    if (m_szButtons != CSize(0, 0))
        return m_szButtons;
    int nHeight = const_cast<CXTPRibbonBar*>(this)->GetRibbonPaintManager()->GetControlHeight();
    return CSize(nHeight, nHeight);
}

void CXTPRibbonBar::SetVisible(BOOL bVisible)
{
    CXTPMenuBar::SetVisible(bVisible);
    if (m_pFrameManager != NULL)
        m_pFrameManager->DelayRecalcFrame();
}

void CXTPRibbonBar::EnableFrameTheme(BOOL bEnable)
{
    if (bEnable && m_pFrameManager == NULL)
    {
        CWnd* pSite = GetSite();
        if (pSite == NULL || pSite->GetSafeHwnd() == NULL)
            return;
        m_pFrameManager = new CXTPRibbonFrameManager(pSite, this);
        m_pFrameManager->RefreshFrame();
    }
    else if (!bEnable && m_pFrameManager != NULL)
    {
        CXTPRibbonFrameManager* pManager = m_pFrameManager;
        m_pFrameManager = NULL;
        HWND hWndFrame = pManager->GetFrameHwnd();
        delete pManager;
        // The caption buttons leave with the frame drawing.
        for (int i = GetControlCount() - 1; i >= 0; i--)
        {
            CXTPControl* pControl = GetControl(i);
            if (pControl->IsKindOf(RUNTIME_CLASS(CControlCaptionButton)))
                m_pControls->Remove(pControl);
        }
        if (::IsWindow(hWndFrame))
        {
            ::SetWindowRgn(hWndFrame, NULL, TRUE);
            ::SetWindowPos(hWndFrame, NULL, 0, 0, 0, 0,
                           SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        }
        OnRecalcLayout();
    }
}

void CXTPRibbonBar::SetSystemButton(CXTPControl* pControl)
{
    if (m_pControlSystemButton != NULL && m_pControlSystemButton != pControl)
        m_pControls->Remove(m_pControlSystemButton);
    m_pControlSystemButton = pControl;
    if (pControl != NULL && pControl->GetControls() != m_pControls)
        m_pControls->Add(pControl, pControl->GetID(), NULL, 0);
    OnRecalcLayout();
}

//////////////////////////////////////////////////////////////////////////
// Tabs

CXTPRibbonTab* CXTPRibbonBar::AddTab(LPCTSTR lpszCaption, int nId)
{
    return InsertTab(GetTabCount(), lpszCaption, nId);
}

CXTPRibbonTab* CXTPRibbonBar::InsertTab(int nItem, LPCTSTR lpszCaption, int nId)
{
    CXTPRibbonTab* pTab = (CXTPRibbonTab*)RUNTIME_CLASS(CXTPRibbonTab)->CreateObject();
    pTab->m_pRibbonBar = this;
    pTab->m_pParentBar = this;
    pTab->SetId(nId);
    pTab->m_strCaption = lpszCaption != NULL ? lpszCaption : _T("");
    m_pControlTab->InsertItem(nItem, pTab);
    if (m_pControlTab->GetSelectedItem() == NULL && !m_bMinimized)
        m_pControlTab->SetSelectedItem(pTab);
    DelayLayout();
    return pTab;
}

int CXTPRibbonBar::GetTabCount() const
{
    return m_pControlTab != NULL ? m_pControlTab->GetItemCount() : 0;
}

CXTPRibbonTab* CXTPRibbonBar::GetTab(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetTabCount())
        return NULL;
    return (CXTPRibbonTab*)m_pControlTab->GetItem(nIndex);
}

void CXTPRibbonBar::SetCurSel(int nIndex)
{
    if (m_pControlTab != NULL)
        m_pControlTab->SetCurSel(nIndex);
}

CXTPRibbonTab* CXTPRibbonBar::GetSelectedTab() const
{
    return m_pControlTab != NULL ? (CXTPRibbonTab*)m_pControlTab->GetSelectedItem() : NULL;
}

void CXTPRibbonBar::SwitchTab(BOOL bNext)
{
    if (m_pControlTab != NULL)
        m_pControlTab->PerformKeyDown(m_hWnd, bNext ? VK_RIGHT : VK_LEFT);
}

CXTPRibbonGroup* CXTPRibbonBar::FindGroup(int nId) const
{
    for (int i = 0; i < GetTabCount(); i++)
    {
        CXTPRibbonGroup* pGroup = GetTab(i)->FindGroup(nId);
        if (pGroup != NULL)
            return pGroup;
    }
    return NULL;
}

void CXTPRibbonBar::RemoveAllTabs()
{
    if (m_pControlTab == NULL)
        return;
    if (m_pContextHeaders != NULL)
        m_pContextHeaders->RemoveAll();
    m_pHighlightedGroup = NULL;
    m_pControlTab->m_pSelected = NULL;
    m_pControlTab->DeleteAllItems();
}

BOOL CXTPRibbonBar::OnTabChanging(CXTPRibbonTab* pTab)
{
    NMXTPTABCHANGE nm;
    ZeroMemory(&nm, sizeof(nm));
    nm.pTab = pTab;
    nm.nmhdr.pControl = m_pControlTab;
    return m_pControlTab->NotifyOwnerEx((UINT)XTP_RIBBON_TCN_SELCHANGING, &nm.nmhdr) != 0;
}

void CXTPRibbonBar::OnTabChanged(CXTPRibbonTab* pTab)
{
    NMXTPTABCHANGE nm;
    ZeroMemory(&nm, sizeof(nm));
    nm.pTab = pTab;
    nm.nmhdr.pControl = m_pControlTab;
    m_pControlTab->NotifyOwnerEx((UINT)XTP_RIBBON_TCN_SELCHANGED, &nm.nmhdr);
}

//////////////////////////////////////////////////////////////////////////
// State

void CXTPRibbonBar::SetMinimized(BOOL bMinimized)
{
    if (m_bMinimized == bMinimized)
        return;
    m_bMinimized = bMinimized;
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars != NULL)
        pCommandBars->ClosePopups();
    if (!bMinimized && GetSelectedTab() == NULL)
    {
        CXTPTabManagerItem* pItem = m_pControlTab->FindNextFocusable(-1, +1);
        if (pItem != NULL)
            m_pControlTab->SetSelectedItem(pItem);
    }
    else if (bMinimized)
    {
        m_pControlTab->SetSelectedItem(NULL);
    }
    OnRecalcLayout();
}

void CXTPRibbonBar::ShowQuickAccessBelow(BOOL bBelow)
{
    m_bQuickAccessBelow = bBelow;
    OnRecalcLayout();
    if (m_pFrameManager != NULL && m_pFrameManager->GetFrameHwnd() != NULL)
    {
        if (m_pFrameManager->IsDwmEnabled())
        {
            UpdateWindow();
            m_pFrameManager->RefreshFrame();
        }
        else
        {
            ::SendMessage(m_pFrameManager->GetFrameHwnd(), WM_NCPAINT, 0, 0);
        }
    }
}

void CXTPRibbonBar::ShowQuickAccess(BOOL bShow)
{
    m_bShowQuickAccess = bShow;
    OnRecalcLayout();
}

void CXTPRibbonBar::SetGroupsVisible(BOOL bVisible)
{
    m_bGroupsVisible = bVisible;
    OnRecalcLayout();
}

void CXTPRibbonBar::SetTabsVisible(BOOL bVisible)
{
    m_bTabsVisible = bVisible;
    OnRecalcLayout();
}

BOOL CXTPRibbonBar::IsCaptionVisible() const
{
    return m_pFrameManager != NULL || m_bShowCaption;
}

BOOL CXTPRibbonBar::IsQuickAccessControl(CXTPControl* pControl) const
{
    if (pControl == NULL)
        return FALSE;
    if (pControl == m_pControlQuickAccess || pControl == m_pControlQuickAccessMore)
        return TRUE;
    if (pControl->GetRibbonGroup() != NULL)
        return FALSE;
    for (int i = 0; i < m_pQuickAccessControls->GetCount(); i++)
    {
        if (m_pQuickAccessControls->GetAt(i) == pControl)
            return TRUE;
    }
    return FALSE;
}

XTPButtonStyle AFX_CDECL CXTPRibbonBar::GetQuickAccessStyle(const CXTPControl* pControl, XTPButtonStyle style,
                                                           int nIconWidth)
{
    switch (pControl->GetType())
    {
    case xtpControlButton:
    case xtpControlPopup:
    case xtpControlButtonPopup:
    case xtpControlSplitButtonPopup:
    case xtpControlLabel:
        break;
    case xtpControlGallery:
        // One the program shows in place there keeps showing its items; a
        // copy (its popup button) is one of the toolbar's buttons.
        if (style <= xtpButtonAutomatic)
            return style;
        break;
    default:
        return style;
    }
    // The copy keeps the style it had in its group (a large button, one
    // with its caption beside it); that look is the group's, not the
    // toolbar's. Only the looks the Customize sheet offers for a control of
    // the toolbar, chosen there, stand; "Default Style" is the toolbar's.
    int nCustom = pControl->GetCustomStyle();
    if (nCustom == xtpButtonCaption || nCustom == xtpButtonIcon || nCustom == xtpButtonIconAndCaption)
        return style;
    CXTPControl* pButton = const_cast<CXTPControl*>(pControl);
    return pButton->GetIconId() > 0 && pButton->GetImage(nIconWidth) != NULL ? xtpButtonIcon : xtpButtonCaption;
}

XTPButtonStyle CXTPRibbonBar::GetControlStyle(const CXTPControl* pControl, XTPButtonStyle style) const
{
    // Most controls of the bar belong to a group: they are told apart first.
    if (pControl->GetRibbonGroup() != NULL || m_pQuickAccessControls == NULL)
        return style;
    for (int i = 0; i < m_pQuickAccessControls->GetCount(); i++)
    {
        if (m_pQuickAccessControls->GetAt(i) == pControl)
            return GetQuickAccessStyle(pControl, style, GetIconSize().cx);
    }
    return style;
}

BOOL CXTPRibbonBar::IsCustomizationKept(CXTPControl* pControl) const
{
    return IsQuickAccessControl(pControl);
}

BOOL CXTPRibbonBar::IsCustomizeCopyOnly(CXTPControl* pControl) const
{
    // The tabs and groups are the program's: a drag copies their controls
    // to the quick-access toolbar at most.
    return pControl != NULL && !IsCustomizationKept(pControl);
}

BOOL CXTPRibbonBar::IsAllowQuickAccessControl(CXTPControl* pControl)
{
    if (pControl == NULL)
        return FALSE;
    if (!m_bAllowQuickAccessDuplicates && m_pQuickAccessControls->FindDuplicate(pControl) != NULL)
        return FALSE;
    if (pControl->IsKindOf(RUNTIME_CLASS(CXTPRibbonGroupControlPopup)))
        return pControl->GetID() > 0;
    return (pControl->GetFlags() & xtpFlagNoMovable) == 0;
}

void CXTPRibbonBar::OnRecalcLayout()
{
    if (m_bInLayout)
        return;
    if (m_hWnd == NULL)
    {
        DelayLayout();
        return;
    }
    // The bar lays itself out at its width; only a change of height needs
    // the frame's layout (which lays the bar out once more).
    CRect rc;
    GetClientRect(&rc);
    CSize sz = CalcDockedSize(rc.Width(), LM_HORZ | LM_HORZDOCK | LM_COMMIT);
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (sz.cy != rc.Height() && pCommandBars != NULL && GetDockBar() != NULL)
        pCommandBars->RecalcFrameLayout();
    Redraw();
}

//////////////////////////////////////////////////////////////////////////
// Size and layout

int CXTPRibbonBar::GetTabsHeight() const
{
    if (!m_bTabsVisible)
        return 2;
    return const_cast<CXTPRibbonBar*>(this)->GetRibbonPaintManager()->GetTabHeight();
}

int CXTPRibbonBar::GetGroupsHeight()
{
    if (m_bGroupsVisible && GetSelectedTab() != NULL && !m_bMinimized)
        return CalcGroupsHeight();
    return 0;
}

int CXTPRibbonBar::CalcGroupsHeight()
{
    if (m_nGroupsHeight > 0)
        return m_nGroupsHeight;
    CXTPRibbonTheme* pTheme = GetRibbonPaintManager();
    return 3 * pTheme->GetButtonHeight() + pTheme->GetGroupCaptionHeight() + 10;
}

int CXTPRibbonBar::CalcQuickAccessHeight(CDC* pDC)
{
    int nHeight = GetButtonSize().cy + 4;
    for (int i = 0; i < m_pQuickAccessControls->GetCount(); i++)
    {
        CXTPControl* pControl = m_pQuickAccessControls->GetAt(i);
        if (!pControl->IsVisible(xtpHideWrap))
            continue;
        nHeight = std::max(nHeight, (int)pControl->GetSize(pDC).cy + 4);
    }
    return nHeight;
}

int CXTPRibbonBar::GetCaptionHeight()
{
    if (m_pFrameManager == NULL && !m_bShowCaption)
        return 0;
    CXTPRibbonTheme* pTheme = GetRibbonPaintManager();
    int nBorder = m_pFrameManager != NULL ? m_pFrameManager->GetFrameBorder() : 0;
    int nHeight = pTheme->GetCaptionHeight() + nBorder;
    if (m_bShowQuickAccess && !m_bQuickAccessBelow)
    {
        int nTabs = GetTabsHeight();
        if (m_nQuickAccessHeight > nTabs - 2)
            nHeight = std::max(nHeight, m_nQuickAccessHeight + nBorder);
        else
            nHeight = std::max(nHeight, nTabs - 2 + nBorder);
    }
    return nHeight;
}

CSize CXTPRibbonBar::CalcDockingLayout(int nLength, DWORD dwMode, int /*nWidth*/)
{
    return CalcDockedSize(nLength, dwMode);
}

CSize CXTPRibbonBar::CalcDockedSize(int nLength, DWORD dwMode)
{
    m_bLayoutChanged = FALSE;
    int nSiteWidth = nLength;
    CWnd* pSite = GetSite();
    if (pSite != NULL && pSite->GetSafeHwnd() != NULL && GetDockBar() != NULL)
    {
        CRect rcSite;
        pSite->GetClientRect(&rcSite);
        nSiteWidth = rcSite.Width();
    }
    // Too narrow, or its window hidden: the ribbon takes no room and a frame
    // it draws shows its own caption.
    BOOL bShown = nLength >= m_nMinVisibleWidth && nSiteWidth >= m_nMinVisibleWidth &&
                  !(m_bWindowHidden && m_hWnd != NULL && (GetStyle() & WS_VISIBLE) == 0);
    if (bShown != m_bRibbonShown)
    {
        m_bRibbonShown = bShown;
        if (m_pFrameManager != NULL)
            m_pFrameManager->DelayRecalcFrame();
    }
    if (!bShown)
        return CSize(nLength, 0);

    {
        CWindowDC dc(NULL);
        CXTPFontDC font(&dc, GetPaintManager()->GetCommandBarFont(this));
        m_nQuickAccessHeight = CalcQuickAccessHeight(&dc);
    }
    int nHeight = GetCaptionHeight() + GetGroupsHeight() + GetTabsHeight();
    if (m_bQuickAccessBelow && m_bShowQuickAccess)
        nHeight += m_nQuickAccessHeight + 1;
    else if (!m_bGroupsVisible)
        nHeight += 2;

    if (dwMode & LM_COMMIT)
    {
        // A layout that moves, shows or hides anything (a group added to the
        // shown tab, a control whose size changed) must be painted again.
        auto signature = [this]() {
            std::vector<LONG> values;
            values.reserve(4 + 5 * GetControlCount());
            values.push_back(m_rcGroups.left);
            values.push_back(m_rcGroups.top);
            values.push_back(m_rcGroups.right);
            values.push_back(m_rcGroups.bottom);
            for (int i = 0; i < GetControlCount(); i++)
            {
                CXTPControl* pControl = GetControl(i);
                CRect rc = pControl->GetRect();
                values.push_back(pControl->IsVisible() ? 1 : 0);
                values.push_back(rc.left);
                values.push_back(rc.top);
                values.push_back(rc.right);
                values.push_back(rc.bottom);
            }
            CXTPRibbonTab* pSelected = GetSelectedTab();
            if (pSelected != NULL)
            {
                for (int i = 0; i < pSelected->GetGroups()->GetCount(); i++)
                {
                    CRect rc = pSelected->GetGroups()->GetAt(i)->GetRect();
                    values.push_back(rc.left);
                    values.push_back(rc.right);
                }
            }
            return values;
        };
        std::vector<LONG> before = signature();
        Reposition(nLength, nHeight);
        if (signature() != before)
            m_bLayoutChanged = TRUE;
        if (m_bLayoutChanged)
        {
            // Controls that came into view show their command's state at
            // once rather than at the next idle pass (the idle pass still
            // disables those whose command has no handler).
            m_bLayoutChanged = FALSE;
            CWnd* pOwner = GetOwnerSite();
            if (pOwner != NULL && pOwner->GetSafeHwnd() != NULL && GetSafeHwnd() != NULL)
                OnUpdateCmdUI(pOwner, FALSE);
            Redraw();
        }
        if (m_dwIdleFlags & xtpIdleRedraw)
        {
            m_dwIdleFlags &= ~(DWORD)xtpIdleRedraw;
            Redraw();
        }
        m_dwIdleFlags &= ~(DWORD)xtpIdleLayout;
    }
    return CSize(nLength, nHeight);
}

void CXTPRibbonBar::SetGroupsRect(CDC* pDC, CRect rc)
{
    m_rcGroups = rc;
    CXTPRibbonTab* pTab = GetSelectedTab();
    // The groups are laid out where they stand, below the caption and the
    // tabs, in one pass: a control given a rect at the top of the bar first
    // would move the window of a box (an edit, a combo, a hosted window)
    // there and back on every layout.
    if (pTab != NULL && rc.Height() > 0)
        pTab->GetGroups()->Reposition(pDC, rc.Width(), rc.Height(), CRect(4, rc.top + 3, 6, 3));
    else
        ShowScrollableRect(FALSE, FALSE);
}

void CXTPRibbonBar::Reposition(int cx, int /*cy*/)
{
    m_bInLayout = TRUE;
    CClientDC dcClient(m_hWnd != NULL ? this : NULL);
    CWindowDC dcScreen(NULL);
    CDC* pDC = m_hWnd != NULL ? (CDC*)&dcClient : (CDC*)&dcScreen;
    CXTPFontDC font(pDC, GetPaintManager()->GetCommandBarFont(this));

    const int B = m_pFrameManager != NULL ? m_pFrameManager->GetFrameBorder() : 0;
    int C = GetCaptionHeight();
    const int T = GetTabsHeight();
    const int G = GetGroupsHeight();
    const int Q = m_nQuickAccessHeight;
    const BOOL bCaption = C > 0;

    // 1. Rects.
    if (bCaption)
    {
        m_rcCaption.SetRect(-B, 0, cx + B, C);
        m_rcCaptionText = m_pFrameManager != NULL ? CRect(0, 0, cx, C) : CRect(0, 0, 0, 0);
        m_rcHeader.SetRect(0, 0, cx, C);
    }
    else
    {
        m_rcCaption.SetRectEmpty();
        m_rcCaptionText.SetRectEmpty();
        m_rcHeader.SetRectEmpty();
        C = 0;
    }
    m_rcTabControl.SetRect(2, C, cx - 2, C + T);
    CRect rcGroups(0, C + T, cx, C + T + G);

    // 2. Sort the controls.
    CArray<CXTPControl*, CXTPControl*> arrTabRow;
    for (int i = 0; i < GetControlCount(); i++)
    {
        CXTPControl* pControl = GetControl(i);
        if (IsQuickAccessControl(pControl) || pControl->GetRibbonGroup() != NULL)
            continue;
        if (pControl == m_pControlTab || pControl == m_pControlSystemButton ||
            pControl == m_pControlScrollGroupsLeft || pControl == m_pControlScrollGroupsRight ||
            IsCaptionButtonId(pControl->GetID()) || pControl->IsKindOf(RUNTIME_CLASS(CControlCaptionButton)))
            continue;
        if (pControl->IsKindOf(RUNTIME_CLASS(CXTPRibbonGroupControlPopup)))
            continue;
        pControl->SetHideFlag(xtpHideExcluded, !m_bTabsVisible);
        if (pControl->IsVisible())
            arrTabRow.Add(pControl);
    }

    // 3. Quick-access rect.
    BOOL bQuickAccess = m_bShowQuickAccess && (bCaption || m_bTabsVisible);
    int nQuickLeft = m_pControlSystemButton != NULL ? Q + T : (m_pFrameManager != NULL ? 44 : 6);
    if (m_bQuickAccessBelow)
        m_rcQuickAccess.SetRect(0, rcGroups.bottom, cx, rcGroups.bottom + Q);
    else
        m_rcQuickAccess.SetRect(nQuickLeft, B - 2 + (bCaption ? 2 : 0), m_rcCaption.right, B + Q - 3 + (bCaption ? 2 : 0));

    // 4. System button.
    int xLeft = 2;
    if (m_pControlSystemButton != NULL)
    {
        CXTPControl* pSystem = m_pControlSystemButton;
        pSystem->SetHideFlag(xtpHideWrap, !bCaption && !m_bTabsVisible);
        CSize sz = pSystem->GetSize(pDC);
        if (!bCaption)
            pSystem->SetRect(CRect(0, m_rcTabControl.CenterPoint().y - sz.cy / 2, sz.cx,
                                   m_rcTabControl.CenterPoint().y - sz.cy / 2 + sz.cy));
        else if (!m_bTabsVisible)
        {
            pSystem->SetRect(CRect(0, m_rcCaption.CenterPoint().y - sz.cy / 2, sz.cx,
                                   m_rcCaption.CenterPoint().y - sz.cy / 2 + sz.cy));
            m_rcQuickAccess.left = sz.cx + 15;
        }
        else
        {
            int nTop = m_rcCaption.top + B - 1;
            pSystem->SetRect(CRect(0, nTop, Q + T - 3, nTop + Q + T - 4));
        }
        pSystem->SetWrap(TRUE);
        xLeft = pSystem->GetRect().right;
    }

    // 5. Tab-row controls: left-aligned ones, then right-aligned ones.
    int xRight = cx - 2;
    for (INT_PTR i = 0; i < arrTabRow.GetSize(); i++)
    {
        CXTPControl* pControl = arrTabRow[i];
        CSize sz = pControl->GetSize(pDC);
        int y = m_rcTabControl.top + (m_rcTabControl.Height() - sz.cy) / 2;
        if (pControl->GetFlags() & xtpFlagRightAlign)
            continue;
        if (pControl->GetBeginGroup())
            xLeft += 6;
        pControl->SetRect(CRect(xLeft, y, xLeft + sz.cx, y + sz.cy));
        pControl->SetRowRect(m_rcTabControl);
        pControl->SetWrap(FALSE);
        xLeft += sz.cx;
    }
    for (INT_PTR i = arrTabRow.GetSize() - 1; i >= 0; i--)
    {
        CXTPControl* pControl = arrTabRow[i];
        if ((pControl->GetFlags() & xtpFlagRightAlign) == 0)
            continue;
        CSize sz = pControl->GetSize(pDC);
        int y = m_rcTabControl.top + (m_rcTabControl.Height() - sz.cy) / 2;
        xRight -= sz.cx;
        pControl->SetRect(CRect(xRight, y, xRight + sz.cx, y + sz.cy));
        pControl->SetRowRect(m_rcTabControl);
        pControl->SetWrap(FALSE);
        if (pControl->GetBeginGroup())
            xRight -= 6;
    }

    // 6. Quick-access row.
    if (!m_bQuickAccessBelow && !bCaption)
        m_rcQuickAccess.SetRect(xLeft + 5, m_rcTabControl.top, xRight, m_rcTabControl.bottom);
    int nRightLimit = m_bQuickAccessBelow ? cx - 15
                                          : (m_pFrameManager != NULL && m_pFrameManager->IsDwmEnabled() ? cx - 115
                                                                                                     : cx - 3 * C);
    if (!m_bQuickAccessBelow && !bCaption)
        nRightLimit = xRight;
    CSize szCustomize = m_pControlQuickAccess->GetSize(pDC);
    m_pControlQuickAccessMore->SetHideFlag(xtpHideGeneric, TRUE);
    BOOL bInCaption = !m_bQuickAccessBelow && bCaption;
    int x = m_rcQuickAccess.left;
    int nVisibleCount = 0;
    BOOL bWrapped = FALSE;
    for (int i = 0; i < m_pQuickAccessControls->GetCount(); i++)
    {
        CXTPControl* pControl = m_pQuickAccessControls->GetAt(i);
        if (!bQuickAccess)
        {
            pControl->SetHideFlag(xtpHideWrap, TRUE);
            continue;
        }
        pControl->SetHideFlag(xtpHideWrap, FALSE);
        if (!pControl->IsVisible())
            continue;
        CSize sz = pControl->GetSize(pDC);
        if (bWrapped || x + sz.cx > nRightLimit - 2 * szCustomize.cx)
        {
            bWrapped = TRUE;
            pControl->SetHideFlag(xtpHideWrap, TRUE);
            continue;
        }
        int y = m_rcQuickAccess.top + (m_rcQuickAccess.Height() - sz.cy) / 2 + (bInCaption ? 2 : 0);
        pControl->SetRect(CRect(x, y, x + sz.cx, y + sz.cy));
        pControl->SetRowRect(m_rcQuickAccess);
        pControl->SetWrap(FALSE);
        x += sz.cx;
        nVisibleCount++;
    }
    if (bQuickAccess)
    {
        int y = m_rcQuickAccess.top + (m_rcQuickAccess.Height() - szCustomize.cy) / 2 + (bInCaption ? 2 : 0);
        if (bWrapped)
        {
            m_pControlQuickAccessMore->SetHideFlag(xtpHideGeneric, FALSE);
            m_pControlQuickAccessMore->SetHideFlag(xtpHideWrap, FALSE);
            m_pControlQuickAccessMore->SetRect(CRect(x, y, x + szCustomize.cx, y + szCustomize.cy));
            x += szCustomize.cx;
        }
        // In the caption row the customise button keeps a gap from the
        // controls before it.
        if (bInCaption && (nVisibleCount > 0 || bWrapped))
            x += 12;
        m_pControlQuickAccess->SetHideFlag(xtpHideWrap, FALSE);
        m_pControlQuickAccess->SetRect(CRect(x, y, x + szCustomize.cx, y + szCustomize.cy));
        // Below the groups the toolbar's band spans the bar's width; above
        // it ends with the customise button.
        if (!m_bQuickAccessBelow)
            m_rcQuickAccess.right = bCaption && nVisibleCount == 0 ? m_rcQuickAccess.left : x + szCustomize.cx;
    }
    else
    {
        m_pControlQuickAccess->SetHideFlag(xtpHideWrap, TRUE);
        m_pControlQuickAccessMore->SetHideFlag(xtpHideWrap, TRUE);
    }

    // 7. The tab strip.
    if (!m_bQuickAccessBelow && !bCaption && bQuickAccess)
        xLeft = std::max(xLeft, (int)m_rcQuickAccess.right + 4);
    CRect rcTabs(xLeft, m_rcTabControl.top, xRight, m_rcTabControl.bottom);
    if (rcTabs.Width() < 6)
        rcTabs.right = rcTabs.left;
    m_pControlTab->SetHideFlag(xtpHideGeneric, !m_bTabsVisible);
    m_pControlTab->SetRect(rcTabs);
    m_pControlTab->SetRowRect(m_rcTabControl);
    CXTPTabPaintManager* pTabPaint = m_pControlTab->GetPaintManager();
    if (pTabPaint != NULL && m_bTabsVisible)
        pTabPaint->RepositionTabControlEntry(m_pControlTab, pDC, rcTabs);

    // 8. The groups.
    SetGroupsRect(pDC, rcGroups);

    // 9. Caption and contextual headers.
    if (bCaption)
    {
        LayoutCaption();
        CreateContextHeaders();
    }
    else
    {
        m_pContextHeaders->RemoveAll();
    }
    m_bInLayout = FALSE;
}

void CXTPRibbonBar::AddCaptionButton(int nId, BOOL bVisible, BOOL bEnabled, CRect& rcCaption)
{
    CXTPControl* pButton = m_pControls->FindControl(xtpControlButton, nId, FALSE, FALSE);
    if (pButton != NULL && !pButton->IsKindOf(RUNTIME_CLASS(CControlCaptionButton)))
        pButton = NULL;
    if (!bVisible)
    {
        if (pButton != NULL)
            m_pControls->Remove(pButton);
        return;
    }
    if (pButton == NULL)
    {
        pButton = new CControlCaptionButton(m_pFrameManager);
        m_pControls->Add(pButton, nId);
        pButton->SetCaption(_T(""));
        pButton->SetDescription(_T(""));
        CXTPControlAction* pAction = pButton->GetAction();
        if (pAction != NULL)
        {
            pAction->SetCaption(_T(""));
            pAction->SetDescription(_T(""));
        }
        // The tooltip is the system menu's text of the command up to its tab.
        HWND hWndFrame = m_pFrameManager != NULL ? m_pFrameManager->GetFrameHwnd() : NULL;
        HMENU hMenu = hWndFrame != NULL ? ::GetSystemMenu(hWndFrame, FALSE) : NULL;
        char szText[256] = {};
        if (hMenu != NULL && ::GetMenuStringA(hMenu, (UINT)nId, szText, sizeof(szText) - 1, MF_BYCOMMAND) > 0)
        {
            CString strTip = szText;
            int nTab = strTip.Find('\t');
            if (nTab != -1)
                strTip = strTip.Left(nTab);
            pButton->SetTooltip(strTip);
        }
    }
    ((CControlCaptionButton*)pButton)->m_pFrameManager = m_pFrameManager;
    int nSize = rcCaption.Height();
    pButton->SetRect(CRect(rcCaption.right - nSize, rcCaption.top, rcCaption.right, rcCaption.bottom));
    pButton->SetEnabled(bEnabled);
    rcCaption.right -= nSize;
}

void CXTPRibbonBar::LayoutCaption()
{
    CXTPRibbonTheme* pTheme = GetRibbonPaintManager();
    const int B = m_pFrameManager != NULL ? m_pFrameManager->GetFrameBorder() : 0;
    m_rcHeader = m_rcCaption;
    if (m_bQuickAccessBelow || !m_bShowQuickAccess)
        m_rcHeader.left += 70;
    else
        m_rcHeader.left = m_rcQuickAccess.right + 2;
    m_rcHeader.top += B;
    m_rcHeader.bottom -= 3;

    if (m_pFrameManager != NULL)
    {
        DWORD dwStyle = m_pFrameManager->GetStyle();
        DWORD dwExStyle = m_pFrameManager->GetStyle(TRUE);
        BOOL bMaximized = (dwStyle & WS_MAXIMIZE) != 0;
        BOOL bSysMenu = (dwStyle & WS_SYSMENU) != 0;
        BOOL bMinBox = (dwStyle & WS_MINIMIZEBOX) != 0;
        BOOL bMaxBox = (dwStyle & WS_MAXIMIZEBOX) != 0;
        BOOL bMinMax = bSysMenu && (dwExStyle & WS_EX_TOOLWINDOW) == 0 && (bMinBox || bMaxBox);
        BOOL bNoButtons = bMaximized && (dwStyle & WS_CHILD) != 0;
        BOOL bCloseEnabled = TRUE;
        HMENU hMenu = ::GetSystemMenu(m_pFrameManager->GetFrameHwnd(), FALSE);
        if (hMenu != NULL && (::GetMenuState(hMenu, SC_CLOSE, MF_BYCOMMAND) & (MF_DISABLED | MF_GRAYED)) != 0 &&
            ::GetMenuState(hMenu, SC_CLOSE, MF_BYCOMMAND) != (UINT)-1)
            bCloseEnabled = FALSE;
        if (!m_pFrameManager->IsDwmEnabled())
        {
            CRect rcButtons = m_rcHeader;
            AddCaptionButton(SC_CLOSE, bSysMenu && !bNoButtons, bCloseEnabled, rcButtons);
            AddCaptionButton(SC_RESTORE, bMinMax && bMaximized && !bNoButtons, bMaxBox, rcButtons);
            AddCaptionButton(SC_MAXIMIZE, bMinMax && !bMaximized && !bNoButtons, bMaxBox, rcButtons);
            AddCaptionButton(SC_MINIMIZE, bMinMax && !bNoButtons, bMinBox, rcButtons);
            m_rcHeader.right = rcButtons.right;
        }
        else
        {
            m_rcHeader.right -= 100;
        }
    }

    // The title: centred in the caption, else in the free area.
    if (m_pFrameManager != NULL)
    {
        CWnd* pFrame = CWnd::FromHandle(m_pFrameManager->GetFrameHwnd());
        CString strTitle;
        if (pFrame != NULL)
            pFrame->GetWindowText(strTitle);
        CWindowDC dc(NULL);
        CXTPFontDC font(&dc, pTheme->GetCaptionFont());
        int nWidth = dc.GetTextExtent(strTitle).cx + 20;
        CRect rcTitle(m_rcCaption.left + 70, m_rcHeader.top, m_rcHeader.right, m_rcHeader.bottom);
        nWidth = std::min(nWidth, rcTitle.Width());
        int nLeft = rcTitle.left + (rcTitle.Width() - nWidth) / 2;
        m_rcCaptionText.SetRect(nLeft, rcTitle.top, nLeft + nWidth, rcTitle.bottom);
        CRect rcOverlap;
        if (!m_bQuickAccessBelow && rcOverlap.IntersectRect(m_rcCaptionText, m_rcQuickAccess))
        {
            nWidth = std::min(nWidth, m_rcHeader.Width());
            nLeft = m_rcHeader.left + (m_rcHeader.Width() - nWidth) / 2;
            m_rcCaptionText.SetRect(nLeft, m_rcHeader.top, nLeft + nWidth, m_rcHeader.bottom);
        }
    }
}

//////////////////////////////////////////////////////////////////////////
// Contextual headers

void CXTPRibbonBar::CreateContextHeaders()
{
    m_pContextHeaders->RemoveAll();
    if (m_rcCaption.IsRectEmpty() || GetTabCount() == 0)
        return;
    if (!m_bQuickAccessBelow && m_bShowQuickAccess && m_pFrameManager == NULL)
    {
        int nCustomize = m_pControlQuickAccess->IsVisible() ? m_pControlQuickAccess->GetRect().Width() + 2 : 12;
        m_rcHeader.left = m_rcQuickAccess.right + nCustomize;
    }

    CXTPRibbonTabContextHeader* pPrevious = NULL;
    for (int i = 0; i < GetTabCount(); i++)
    {
        CXTPRibbonTab* pTab = GetTab(i);
        pTab->m_pContextHeader = NULL;
        if (!pTab->IsVisible())
            continue;
        if (pTab->GetContextColor() == 0 || pTab->GetContextCaption().IsEmpty())
        {
            pPrevious = NULL;
            continue;
        }
        CRect rcTab = pTab->GetRect();
        if (pPrevious != NULL && pPrevious->m_nColor == pTab->GetContextColor() &&
            pPrevious->m_strCaption == pTab->GetContextCaption())
        {
            pPrevious->m_pLastTab = pTab;
            pPrevious->m_rcHeader.right = rcTab.right;
            pTab->m_pContextHeader = pPrevious;
        }
        else
        {
            CXTPRibbonTabContextHeader* pHeader = new CXTPRibbonTabContextHeader(pTab);
            pHeader->m_rcHeader.SetRect(rcTab.left, m_rcCaption.top + 4, rcTab.right, m_rcCaption.bottom);
            m_pContextHeaders->Add(pHeader);
            pPrevious = pHeader;
        }
    }
    if (m_pContextHeaders->GetCount() == 0)
        return;
    if (!FitContextHeaders(m_rcHeader.left, m_rcHeader.right))
    {
        m_pContextHeaders->RemoveAll();
        return;
    }

    // Keep the title clear of the headers.
    CRect rcUnion(m_pContextHeaders->GetAt(0)->m_rcHeader.left, m_rcCaption.top + 6,
                  m_pContextHeaders->GetAt(m_pContextHeaders->GetCount() - 1)->m_rcHeader.right, m_rcCaption.bottom);
    CRect rcOverlap;
    if (!rcOverlap.IntersectRect(rcUnion, m_rcCaptionText))
        return;
    int nWidth = m_rcCaptionText.Width();
    if (m_rcCaptionText.CenterPoint().x > rcUnion.CenterPoint().x)
    {
        if (m_rcHeader.right - rcUnion.right >= nWidth)
            m_rcCaptionText.SetRect(rcUnion.right, m_rcCaptionText.top, rcUnion.right + nWidth, m_rcCaptionText.bottom);
        else if (FitContextHeaders(m_rcHeader.left, m_rcHeader.right - nWidth))
            m_rcCaptionText.SetRect(m_rcHeader.right - nWidth, m_rcCaptionText.top, m_rcHeader.right,
                                    m_rcCaptionText.bottom);
        else
            m_pContextHeaders->RemoveAll();
    }
    else
    {
        if (rcUnion.left - m_rcHeader.left >= nWidth)
            m_rcCaptionText.SetRect(rcUnion.left - nWidth, m_rcCaptionText.top, rcUnion.left, m_rcCaptionText.bottom);
        else if (FitContextHeaders(m_rcHeader.left + nWidth, m_rcHeader.right))
            m_rcCaptionText.SetRect(m_rcHeader.left, m_rcCaptionText.top, m_rcHeader.left + nWidth,
                                    m_rcCaptionText.bottom);
        else
            m_pContextHeaders->RemoveAll();
    }
}

BOOL CXTPRibbonBar::FitContextHeaders(int nLeft, int nRight)
{
    int nCount = m_pContextHeaders->GetCount();
    if (nCount == 0)
        return TRUE;
    int L = nLeft;
    for (int i = 0; i < nCount; i++)
    {
        CRect& rc = m_pContextHeaders->GetAt(i)->m_rcHeader;
        if (rc.left >= L)
            break;
        rc.left = L;
        if (rc.Width() < 40)
            rc.right = rc.left + 40;
        L = rc.right;
    }
    int R = nRight;
    for (int i = nCount - 1; i >= 0; i--)
    {
        CRect& rc = m_pContextHeaders->GetAt(i)->m_rcHeader;
        if (rc.right <= R)
            return TRUE;
        rc.right = R;
        if (rc.Width() < 40)
            rc.left = R - 40;
        R = rc.left;
        if (R < L)
            return FALSE;
    }
    return TRUE;
}

//////////////////////////////////////////////////////////////////////////
// Mouse

int CXTPRibbonBar::HitTestCaption(CPoint point)
{
    if (IsCustomizeMode() || m_pFrameManager == NULL || !m_rcCaption.PtInRect(point))
        return 0;
    if (m_pControls->HitTest(point) != NULL || m_pContextHeaders->HitTest(point) != NULL)
        return 0;
    DWORD dwStyle = m_pFrameManager->GetStyle();
    if (point.y < m_rcCaption.top + 5 && (dwStyle & WS_THICKFRAME) != 0 && (dwStyle & WS_MAXIMIZE) == 0)
        return HTTOP;
    return HTCAPTION;
}

void CXTPRibbonBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    // Tabs are chosen in customize mode too: the controls of every tab can
    // be copied to the quick-access toolbar with the Customize sheet open.
    CXTPRibbonTabContextHeader* pHeader = m_pContextHeaders->HitTest(point);
    if (pHeader != NULL)
    {
        if (pHeader->m_pFirstTab != NULL)
            m_pControlTab->SetSelectedItem(pHeader->m_pFirstTab);
        return;
    }
    int nHit = HitTestCaption(point);
    if (nHit != 0)
    {
        if (pCommandBars != NULL)
            pCommandBars->ClosePopups();
        UpdateWindow();
        HWND hWndFrame = m_pFrameManager->GetFrameHwnd();
        if ((m_pFrameManager->GetStyle() & WS_MAXIMIZE) == 0)
        {
            CPoint ptScreen = point;
            ClientToScreen(&ptScreen);
            if (nHit == HTCAPTION)
                ::SendMessage(hWndFrame, WM_SYSCOMMAND, SC_MOVE | 2, MAKELPARAM(ptScreen.x, ptScreen.y));
            else if (nHit >= HTLEFT && nHit <= HTBOTTOMRIGHT)
            {
                HMENU hMenu = ::GetSystemMenu(hWndFrame, FALSE);
                UINT nState = hMenu != NULL ? ::GetMenuState(hMenu, SC_SIZE, MF_BYCOMMAND) : 0;
                if (nState == (UINT)-1 || (nState & (MF_DISABLED | MF_GRAYED)) == 0)
                    ::SendMessage(hWndFrame, WM_SYSCOMMAND, SC_SIZE + (nHit - 9), MAKELPARAM(ptScreen.x, ptScreen.y));
            }
        }
        return;
    }
    // The system button stands over the tab row's left end. A press on it
    // is the button's own: closing the popups first would close its open
    // menu only for the press to open it again.
    BOOL bOnSystemButton = m_pControlSystemButton != NULL && m_pControls->HitTest(point) == m_pControlSystemButton;
    if (m_rcTabControl.PtInRect(point) && m_pControlTab->IsVisible() && !bOnSystemButton)
    {
        if (pCommandBars != NULL && !m_bMinimized)
            pCommandBars->ClosePopups();
        // In a minimised ribbon a click on the tab whose popup is open closes
        // the popup, as a click on an open menu's title does.
        CXTPTabManagerItem* pItem = m_pControlTab->HitTest(point);
        if (m_bMinimized && pItem != NULL && pItem == m_pControlTab->GetSelectedItem() &&
            GetPopupedControl() == m_pControlTab)
        {
            SetTrackingMode(FALSE);
            return;
        }
        if (m_pControlTab->HandleLButtonDown(m_hWnd, point))
            return;
    }
    CXTPControl* pControl = m_pControls->HitTest(point);
    if (pControl == NULL)
    {
        if (pCommandBars != NULL)
            pCommandBars->ClosePopups();
        return;
    }
    CXTPCommandBar::OnLButtonDown(nFlags, point);
}

void CXTPRibbonBar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    int nHit = HitTestCaption(point);
    if (nHit == HTCAPTION || (m_pFrameManager != NULL && m_pContextHeaders->HitTest(point) != NULL))
    {
        HWND hWndFrame = m_pFrameManager->GetFrameHwnd();
        DWORD dwStyle = m_pFrameManager->GetStyle();
        CPoint ptScreen = point;
        ClientToScreen(&ptScreen);
        LPARAM lPoint = MAKELPARAM(ptScreen.x, ptScreen.y);
        if (dwStyle & (WS_MINIMIZE | WS_MAXIMIZE))
            ::SendMessage(hWndFrame, WM_SYSCOMMAND, SC_RESTORE | HTCAPTION, lPoint);
        else if (dwStyle & WS_MAXIMIZEBOX)
        {
            HMENU hMenu = (dwStyle & WS_SYSMENU) ? ::GetSystemMenu(hWndFrame, FALSE) : NULL;
            UINT nState = hMenu != NULL ? ::GetMenuState(hMenu, SC_MAXIMIZE, MF_BYCOMMAND) : 0;
            if (nState == (UINT)-1 || (nState & (MF_DISABLED | MF_GRAYED)) == 0)
                ::SendMessage(hWndFrame, WM_SYSCOMMAND, SC_MAXIMIZE | HTCAPTION, lPoint);
        }
        return;
    }
    if (m_bAllowMinimize && m_rcTabControl.PtInRect(point))
    {
        CXTPTabManagerItem* pItem = m_pControlTab->HitTest(point);
        if (pItem != NULL && (pItem == m_pControlTab->GetSelectedItem() || m_bMinimized))
        {
            if (!m_bMinimized)
            {
                SetMinimized(TRUE);
            }
            else
            {
                SetMinimized(FALSE);
                if (pItem != GetSelectedTab())
                    m_pControlTab->SetSelectedItem(pItem);
            }
        }
    }
    CXTPCommandBar::OnLButtonDblClk(nFlags, point);
}

namespace
{
// Menu loops entered on this thread while the system-menu message is sent.
int s_nSystemMenuLoops = 0;

LRESULT CALLBACK SystemMenuLoopHook(int nCode, WPARAM wParam, LPARAM lParam)
{
    const CWPSTRUCT* pMsg = (const CWPSTRUCT*)lParam;
    if (nCode == HC_ACTION && pMsg != NULL && pMsg->message == WM_ENTERMENULOOP)
        s_nSystemMenuLoops++;
    return ::CallNextHookEx(NULL, nCode, wParam, lParam);
}
} // namespace

BOOL CXTPRibbonBar::SendSystemMenuMessage(HWND hWndFrame, CPoint ptScreen)
{
    // 0x0313 pops the window's system menu up at a screen point (the
    // taskbar's message); it is not documented, so it is checked for.
    int nLoopsBefore = s_nSystemMenuLoops;
    HHOOK hHook = ::SetWindowsHookEx(WH_CALLWNDPROC, SystemMenuLoopHook, NULL, ::GetCurrentThreadId());
    if (hHook == NULL)
    {
        TRACE("CXTPRibbonBar: no hook to watch the system-menu message; the menu is tracked directly\n");
        return FALSE;
    }
    ::SendMessage(hWndFrame, 0x0313, 0, MAKELPARAM(ptScreen.x, ptScreen.y));
    ::UnhookWindowsHookEx(hHook);
    return s_nSystemMenuLoops != nLoopsBefore;
}

void CXTPRibbonBar::OnRButtonUp(UINT nFlags, CPoint point)
{
    if (HitTestCaption(point) != 0)
    {
        CPoint ptScreen = point;
        ClientToScreen(&ptScreen);
        HWND hWndFrame = m_pFrameManager->GetFrameHwnd();
        // The frame's system menu: the undocumented message, else the menu
        // tracked here. The message answers 0 whether or not the system
        // knows it, so whether a menu loop ran tells the two apart.
        if (!SendSystemMenuMessage(hWndFrame, ptScreen))
        {
            HMENU hMenu = ::GetSystemMenu(hWndFrame, FALSE);
            if (hMenu != NULL)
            {
                UINT nCmd = ::TrackPopupMenu(hMenu, TPM_RETURNCMD | TPM_RIGHTBUTTON, ptScreen.x, ptScreen.y, 0,
                                             hWndFrame, NULL);
                if (nCmd != 0)
                    ::PostMessage(hWndFrame, WM_SYSCOMMAND, nCmd, 0);
            }
        }
        return;
    }
    CXTPCommandBar::OnRButtonUp(nFlags, point);
}

void CXTPRibbonBar::OnRButtonDown(UINT nFlags, CPoint point)
{
    if (IsCustomizeMode())
    {
        // The customise context menu of a control the ribbon does not keep
        // offers nothing that a restart would throw away.
        CXTPControl* pControl = m_pControls->HitTest(point);
        CXTPCommandBars* pCommandBars = GetCommandBars();
        CXTPCustomizeSheet* pSheet = pCommandBars != NULL ? pCommandBars->GetCustomizeSheet() : NULL;
        if (pControl != NULL && pSheet != NULL && IsCustomizable() && pControl->IsCustomizeMovable() &&
            !IsCustomizationKept(pControl) && !pControl->OnRButtonDown(point))
        {
            pCommandBars->SetDragControl(pControl);
            CPoint ptScreen = point;
            ClientToScreen(&ptScreen);
            pSheet->ContextMenu(ptScreen, FALSE);
            return;
        }
        CXTPCommandBar::OnRButtonDown(nFlags, point);
        return;
    }
    SetTrackingMode(FALSE);
    SetSelected(-1);
    if (HitTestCaption(point) != 0)
        return;
    CXTPControl* pControl = m_pControls->HitTest(point);
    if (pControl != NULL)
    {
        ShowContextMenu(point, pControl);
        return;
    }
    CXTPRibbonTab* pTab = GetSelectedTab();
    CXTPRibbonGroup* pGroup = pTab != NULL && m_rcGroups.PtInRect(point) ? pTab->GetGroups()->HitTest(point) : NULL;
    CXTPRibbonTheme* pTheme = GetRibbonPaintManager();
    if (pGroup != NULL && point.y > pGroup->GetRect().bottom - pTheme->GetGroupCaptionHeight() &&
        pGroup->GetControlGroupPopup() != NULL)
        ShowContextMenu(point, pGroup->GetControlGroupPopup());
}

void CXTPRibbonBar::ShowContextMenu(CPoint point, CXTPControl* pSelectedControl)
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars == NULL || pSelectedControl == NULL)
        return;
    CPoint ptScreen = point;
    ClientToScreen(&ptScreen);
    CXTPPopupBar* pPopup = CreateContextMenu(pSelectedControl);
    if (pPopup == NULL)
        return;
    CWnd* pOwner = m_bShowQuickAccess ? (CWnd*)this : GetSite();
    if (pPopup->GetControls()->GetVisibleCount() > 0)
        CXTPCommandBars::TrackPopupBar(pPopup, 2, ptScreen.x, ptScreen.y, pOwner);
    pPopup->InternalRelease();
}

void CXTPRibbonBar::UpdateHotGroup(CPoint point)
{
    CXTPRibbonGroup* pHot = NULL;
    CXTPMouseManager* pMouseManager = XTPMouseManager();
    CXTPRibbonTab* pTab = GetSelectedTab();
    if (pTab != NULL && pMouseManager->GetLockCount() == 0 && CXTPMouseManager::IsTopParentActive(m_hWnd) &&
        !pMouseManager->IsMouseLocked(this) && GetSelectedControl() == NULL &&
        GetRibbonPaintManager()->IsHighlightGroups() && m_rcGroups.PtInRect(point))
        pHot = pTab->GetGroups()->HitTest(point);
    if (pHot == m_pHighlightedGroup)
        return;
    if (m_pHighlightedGroup != NULL)
        Redraw(m_pHighlightedGroup->GetRect(), FALSE);
    m_pHighlightedGroup = pHot;
    if (pHot != NULL)
    {
        Redraw(pHot->GetRect(), FALSE);
        pMouseManager->TrackMouseLeave(m_hWnd);
    }
}

void CXTPRibbonBar::OnMouseMove(UINT nFlags, CPoint point)
{
    UpdateHotGroup(point);
    if (m_pControlTab->IsVisible())
        m_pControlTab->HandleMouseMove(m_hWnd, point);
    CXTPCommandBar::OnMouseMove(nFlags, point);
}

void CXTPRibbonBar::OnMouseLeave()
{
    m_pControlTab->HandleMouseMove(m_hWnd, CPoint(-1, -1));
    if (m_pHighlightedGroup != NULL)
    {
        Redraw(m_pHighlightedGroup->GetRect(), FALSE);
        m_pHighlightedGroup = NULL;
    }
    CXTPCommandBar::OnMouseLeave();
}

BOOL CXTPRibbonBar::OnMouseWheel(UINT /*nFlags*/, short zDelta, CPoint /*pt*/)
{
    // Towards the user: the next tab. Not while something holds the mouse.
    if (XTPMouseManager()->GetLockCount() == 0 && !m_bMinimized)
        SwitchTab(zDelta < 0);
    return TRUE;
}

INT_PTR CXTPRibbonBar::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    // A tab under the point wins; else the bar's controls.
    if (m_pControlTab != NULL && m_pControlTab->IsVisible() && m_rcTabControl.PtInRect(point))
    {
        INT_PTR nHit = m_pControlTab->ToolHitTest(m_hWnd, point, pTI);
        if (nHit != -1)
            return nHit;
    }
    INT_PTR nHit = CXTPMenuBar::OnToolHitTest(point, pTI);
    // Screen tips (title and description) of group controls open below the
    // groups area, where they hide no other control of the ribbon.
    if (nHit != -1 && pTI != NULL && pTI->cbSize >= 44 && pTI->lParam != 0 &&
        m_pToolTipContext != NULL && m_pToolTipContext->IsShowTitleAndDescription())
    {
        XTP_TOOLTIP_TOOLINFO_EX* pExtra = (XTP_TOOLTIP_TOOLINFO_EX*)pTI->lParam;
        CXTPControl* pControl = (CXTPControl*)pExtra->pObject;
        if (pControl != NULL && pControl->GetRibbonGroup() != NULL)
            pExtra->rcExclude = m_rcGroups;
    }
    return nHit;
}

void CXTPRibbonBar::OnSysColorChange()
{
    CXTPCommandBar::OnSysColorChange();
    GetRibbonPaintManager()->RefreshMetrics();
    m_pControlTab->Reposition();
}

BOOL CXTPRibbonBar::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    CPoint point;
    ::GetCursorPos(&point);
    ScreenToClient(&point);
    int nHit = HitTestCaption(point);
    if (nHit >= HTLEFT && nHit <= HTBOTTOMRIGHT && m_pFrameManager != NULL)
        return (BOOL)::SendMessage(m_pFrameManager->GetFrameHwnd(), WM_SETCURSOR,
                                   (WPARAM)m_pFrameManager->GetFrameHwnd(), MAKELPARAM(nHit, message));
    return CXTPMenuBar::OnSetCursor(pWnd, nHitTest, message);
}

void CXTPRibbonBar::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CXTPMenuBar::OnShowWindow(bShow, nStatus);
    // A hidden ribbon gives the frame its caption back. The frame is laid
    // out again once the window's visibility has changed (it changes after
    // this message): a hidden bar takes no part in that layout, a shown one
    // has its width checked.
    BOOL bShown = bShow != FALSE;
    m_bWindowHidden = !bShown;
    if (bShown == m_bRibbonShown)
        return;
    m_bRibbonShown = bShown;
    if (m_pFrameManager != NULL)
        m_pFrameManager->DelayRecalcFrame();
}

BOOL CXTPRibbonBar::SetTrackingMode(int bMode, BOOL bSelectFirst, BOOL bKeyboard)
{
    if (bMode && m_pHighlightedGroup != NULL)
    {
        Redraw(m_pHighlightedGroup->GetRect(), FALSE);
        m_pHighlightedGroup = NULL;
    }
    if (!bMode && m_pControlTab != NULL)
        m_pControlTab->SetFocused(FALSE);
    return CXTPMenuBar::SetTrackingMode(bMode, bSelectFirst, bKeyboard);
}

int CXTPRibbonBar::OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult)
{
    if (m_pFrameManager != NULL && hWnd != NULL && hWnd == m_pFrameManager->GetFrameHwnd() &&
        m_pFrameManager->OnFrameMessage(nMessage, wParam, lParam, lResult))
        return hookHandled;
    // A caption the ribbon draws without drawing the frame follows the
    // frame's activity too.
    if (nMessage == WM_NCACTIVATE && m_pFrameManager == NULL && m_bShowCaption && !m_rcCaption.IsRectEmpty() &&
        m_hWnd != NULL)
        Redraw(&m_rcCaption, FALSE);
    if (IsTrackingMode())
    {
        if (nMessage == WM_CONTEXTMENU)
        {
            if (lParam != (LPARAM)-1)
                return hookHandled;
            CXTPControl* pControl = GetSelectedControl();
            if (pControl != NULL)
                ShowContextMenu(pControl->GetRect().TopLeft(), pControl);
            return hookHandled;
        }
        if (nMessage == WM_MOUSEWHEEL && XTPMouseManager()->GetLockCount() == 0)
        {
            SwitchTab((short)HIWORD(wParam) < 0);
            return hookHandled;
        }
    }
    return CXTPMenuBar::OnHookMessage(hWnd, nMessage, wParam, lParam, lResult);
}

//////////////////////////////////////////////////////////////////////////
// Keyboard tips and access keys

void CXTPRibbonBar::CreateKeyboardTips()
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars == NULL || m_hWnd == NULL)
        return;
    int nLevel = pCommandBars->GetKeyboardTipsLevel();
    if (nLevel >= 2)
    {
        CreateGroupKeyboardTips(GetSelectedTab(), this);
        return;
    }

    // Level 1: quick-access controls 1-9, then 01-09; tabs; the system button.
    int nNumber = 0;
    for (int i = 0; i < m_pQuickAccessControls->GetCount(); i++)
    {
        CXTPControl* pControl = m_pQuickAccessControls->GetAt(i);
        if (!pControl->IsVisible())
            continue;
        nNumber++;
        if (nNumber > 18)
            break;
        CString strTip;
        if (nNumber <= 9)
            strTip.Format("%i", nNumber);
        else
            strTip.Format("0%i", nNumber - 9);
        CRect rc = pControl->GetRect();
        CPoint pt(rc.CenterPoint().x, rc.bottom - 11);
        ClientToScreen(&pt);
        CXTPCommandBarKeyboardTip* pTip =
            new CXTPCommandBarKeyboardTip(pCommandBars, pControl, strTip, pt, 1, pControl->GetEnabled());
        pCommandBars->AddKeyboardTip(pTip);
    }
    for (int i = 0; i < GetTabCount(); i++)
    {
        CXTPRibbonTab* pTab = GetTab(i);
        if (!pTab->IsVisible() || !pTab->IsEnabled() || pTab->GetCaption().IsEmpty())
            continue;
        CString strLetter = RibbonTipLetter(pTab->GetCaption());
        if (strLetter.IsEmpty())
            continue;
        CRect rc = pTab->GetRect();
        CPoint pt(rc.CenterPoint().x, rc.bottom - 9);
        ClientToScreen(&pt);
        CXTPCommandBarKeyboardTip* pTip = new CXTPCommandBarKeyboardTip(pCommandBars, pTab, strLetter, pt, 1, TRUE);
        pTip->m_strTip = pTab->GetCaption();
        pCommandBars->AddKeyboardTip(pTip);
    }
    if (m_pControlSystemButton != NULL && m_pControlSystemButton->IsVisible())
    {
        CString strLetter = RibbonTipLetter(m_pControlSystemButton->GetCaption());
        if (!strLetter.IsEmpty())
        {
            CPoint pt = m_pControlSystemButton->GetRect().CenterPoint();
            ClientToScreen(&pt);
            CXTPCommandBarKeyboardTip* pTip =
                new CXTPCommandBarKeyboardTip(pCommandBars, m_pControlSystemButton, strLetter, pt, 5, TRUE);
            pTip->m_strTip = m_pControlSystemButton->GetCaption();
            pCommandBars->AddKeyboardTip(pTip);
        }
    }
}

void CXTPRibbonBar::CreateGroupKeyboardTips(CXTPRibbonTab* pTab, CXTPCommandBar* pBar)
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars == NULL || pTab == NULL || pBar == NULL || pBar->GetSafeHwnd() == NULL)
        return;
    CRect rcBar;
    pBar->GetClientRect(&rcBar);
    CRect rcGroupsArea = pBar == this ? m_rcGroups : rcBar;
    int nCaptionHeight = GetRibbonPaintManager()->GetGroupCaptionHeight();
    for (int i = 0; i < pBar->GetControlCount(); i++)
    {
        CXTPControl* pControl = pBar->GetControl(i);
        CXTPRibbonGroup* pGroup = pControl->GetRibbonGroup();
        if (pGroup == NULL || pGroup->GetRibbonTab() != pTab || !pControl->IsVisible() ||
            pControl->GetCaption().IsEmpty())
            continue;
        CRect rc = pControl->GetRect();
        CRect rcInside;
        if (!rcInside.IntersectRect(rc, rcBar) || rcInside != rc)
            continue;
        CString strLetter = GroupTipKey(pControl);
        if (strLetter.IsEmpty())
            continue;
        CRect rcGroup = pGroup->GetRect();
        CRect rcBand(rcGroup.left, rcGroup.bottom - nCaptionHeight + 2, rcGroup.right, rcGroup.bottom);
        int nContent = rcBand.top - rcGroup.top;
        int yRow = rcGroup.bottom - nCaptionHeight;
        CPoint pt;
        DWORD dwAlign;
        CRect rcMeet;
        if (rcMeet.IntersectRect(rc, rcBand))
        {
            pt = CPoint(rc.CenterPoint().x, rcGroupsArea.bottom - 6);
            dwAlign = 1;
        }
        else if (pControl->GetStyle() == xtpButtonIconAndCaptionBelow && rc.Height() > nContent / 2)
        {
            pt = CPoint(rc.CenterPoint().x, yRow);
            dwAlign = 5;
        }
        else if (pControl->GetType() == xtpControlGallery)
        {
            pt = CPoint(rc.right, yRow);
            dwAlign = 5;
        }
        else
        {
            int yCentre = rc.CenterPoint().y;
            dwAlign = 4;
            if (yCentre < rcGroup.top + nContent / 3)
                pt = CPoint(rc.left + 11, rcGroup.top + 2);
            else if (yCentre <= rcGroup.top + 2 * nContent / 3)
                pt = CPoint(rc.left + 11, yCentre);
            else
                pt = CPoint(rc.left + 11, yRow);
        }
        pBar->ClientToScreen(&pt);
        CXTPCommandBarKeyboardTip* pTip =
            new CXTPCommandBarKeyboardTip(pCommandBars, pControl, strLetter, pt, dwAlign, pControl->GetEnabled());
        pTip->m_strTip = pControl->GetCaption();
        pCommandBars->AddKeyboardTip(pTip);
    }
}

void CXTPRibbonBar::OnKeyboardTip(CXTPCommandBarKeyboardTip* pTip)
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (pTip == NULL || pCommandBars == NULL)
        return;
    CXTPRibbonTab* pTab = DYNAMIC_DOWNCAST(CXTPRibbonTab, pTip->m_pOwner);
    if (pTab == NULL)
    {
        CXTPMenuBar::OnKeyboardTip(pTip);
        return;
    }
    pCommandBars->HideKeyboardTips();
    m_pControlTab->SetSelectedItem(pTab);
    if (!IsTrackingMode())
        SetTrackingMode(TRUE, FALSE, TRUE);
    SetSelected(m_pControlTab->GetIndex(), 2);
    ShowSelectedTabTips();
}

void CXTPRibbonBar::ShowSelectedTabTips()
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars == NULL)
        return;
    if (!m_bMinimized)
    {
        pCommandBars->ShowKeyboardTips(this, 2);
        return;
    }
    // The popup a minimised ribbon opened for the tab names its controls by
    // tips as the groups of the ribbon do; Escape closes it.
    CXTPCommandBar* pPopup = m_pControlTab->GetCommandBar();
    if (m_pControlTab->GetPopuped() && pPopup != NULL && pPopup->IsTrackingMode())
    {
        pCommandBars->ShowKeyboardTips(pPopup, 1);
        // Escape there steps back to the top-level tips.
        CXTPPopupBar* pPopupBar = DYNAMIC_DOWNCAST(CXTPPopupBar, pPopup);
        if (pPopupBar != NULL)
            pPopupBar->m_nTipsLevelBack = 1;
    }
}

BOOL CXTPRibbonBar::OnAcceleratorKey(UINT nKey)
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (GetTabCount() == 0)
        return FALSE;
    if (nKey == VK_MENU)
    {
        if (pCommandBars != NULL)
        {
            pCommandBars->ClosePopups();
            pCommandBars->ShowKeyboardCues(TRUE);
            pCommandBars->m_nKeyboardTipsLevel = 1;
        }
        SetTrackingMode(TRUE, FALSE, TRUE);
        if (!m_bMinimized)
        {
            SetSelected(m_pControlTab->GetIndex(), 2);
            m_pControlTab->SetFocused(TRUE);
        }
        // Alt released alone enters the key tips of the top level (tabs,
        // quick-access controls, system button): the next letter picks one
        // of them, as the letter typed with Alt held does. The tip level is
        // 1 whether or not a tip can be drawn (tips switched off, the bar
        // not shown); showing them first hides any old ones, which resets it.
        if (pCommandBars != NULL)
        {
            pCommandBars->ShowKeyboardTips(this, 1);
            pCommandBars->m_nKeyboardTipsLevel = 1;
        }
        return TRUE;
    }
    for (int i = 0; i < GetTabCount(); i++)
    {
        CXTPRibbonTab* pTab = GetTab(i);
        if (!pTab->IsVisible() || !pTab->IsEnabled())
            continue;
        CString strCaption = pTab->GetCaption();
        int nAccessKey = AfxFindAccessKey(strCaption);
        if (nAccessKey == -1 || !CXTPShortcutManager::CompareAccelKey(strCaption[nAccessKey], nKey))
            continue;
        if (!IsTrackingMode() && pCommandBars != NULL)
        {
            pCommandBars->ClosePopups();
            pCommandBars->ShowKeyboardCues(TRUE);
        }
        if (pCommandBars != NULL)
            pCommandBars->m_nKeyboardTipsLevel = 1;
        SetCurSel(i);
        SetTrackingMode(TRUE, FALSE, TRUE);
        SetSelected(m_pControlTab->GetIndex(), 2);
        m_pControlTab->SetFocused(TRUE);
        ShowSelectedTabTips();
        return TRUE;
    }
    return FALSE;
}

//////////////////////////////////////////////////////////////////////////
// Quick-access menus

CXTPPopupBar* CXTPRibbonBar::CreateContextMenu(CXTPControl* pSelectedControl)
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    CWnd* pSite = GetSite();
    if (!m_bShowQuickAccess)
    {
        CXTPPopupBar* pToolbars = pCommandBars != NULL ? pCommandBars->GetToolbarsPopup() : NULL;
        if (pToolbars != NULL && pSite != NULL && pSite->GetSafeHwnd() != NULL)
            pSite->SendMessage(WM_XTP_TOOLBARCONTEXTMENU, (WPARAM)this, (LPARAM)pToolbars);
        return pToolbars;
    }

    // The customise button is known by its id: the copy of it in the
    // more-controls popup opens the same full menu.
    BOOL bCustomize = pSelectedControl != NULL && pSelectedControl->GetID() == XTP_ID_RIBBONCONTROLQUICKACCESS;
    CMenu menu;
    if (!XTPResourceManager()->LoadMenu(&menu, bCustomize ? XTP_IDR_RIBBONCUSTOMIZEMENU : XTP_IDR_RIBBONCUSTOMIZEMENUMORE))
    {
        TRACE("CXTPRibbonBar::CreateContextMenu: the quick-access menu is missing\n");
        return NULL;
    }
    CXTPPopupBar* pPopup = CXTPPopupBar::CreatePopupBar(pCommandBars);
    CMenu* pSubMenu = menu.GetSubMenu(0);
    if (pPopup == NULL || pSubMenu == NULL || !pPopup->LoadMenu(pSubMenu))
    {
        if (pPopup != NULL)
            pPopup->InternalRelease();
        return NULL;
    }
    CXTPControl* pToolbars = pPopup->GetControls()->Add(
        CXTPControls::CreateControl(xtpControlButton, XTP_ID_TOOLBARLIST), XTP_ID_TOOLBARLIST, NULL, bCustomize ? 0 : 2);
    CRuntimeClass* pListClass = CRuntimeClass::FromName("CXTPControlToolbars");
    if (pToolbars != NULL && pListClass != NULL)
    {
        // The list of toolbars, when its class is linked in.
        pPopup->GetControls()->Remove(pToolbars);
        CXTPControl* pList = (CXTPControl*)pListClass->CreateObject();
        pToolbars = pPopup->GetControls()->Add(pList, XTP_ID_TOOLBARLIST, NULL, bCustomize ? 0 : 2);
    }
    else if (pToolbars != NULL)
    {
        pPopup->GetControls()->Remove(pToolbars);
        pToolbars = NULL;
    }
    if (pToolbars != NULL)
        pToolbars->SetBeginGroup(TRUE);

    BOOL bQuick = IsQuickAccessControl(pSelectedControl);
    BOOL bNoMove = pSelectedControl != NULL && (pSelectedControl->GetFlags() & xtpFlagNoMovable) != 0;
    for (int i = pPopup->GetControlCount() - 1; i >= 0; i--)
    {
        CXTPControl* pControl = pPopup->GetControl(i);
        int nId = pControl->GetID();
        if (nId < XTP_ID_RIBBONCUSTOMIZE_REMOVE || nId > XTP_ID_RIBBONCUSTOMIZE_LABEL)
            continue;
        pControl->SetFlags(pControl->GetFlags() | xtpFlagManualUpdate);
        switch (nId)
        {
        case XTP_ID_RIBBONCUSTOMIZE_REMOVE:
            pControl->SetVisible(bQuick && !bNoMove);
            pControl->SetTag((DWORD)(DWORD_PTR)pSelectedControl);
            break;
        case XTP_ID_RIBBONCUSTOMIZE_ADD:
            pControl->SetVisible(!bQuick && !bNoMove);
            pControl->SetEnabled(IsAllowQuickAccessControl(pSelectedControl));
            pControl->SetTag((DWORD)(DWORD_PTR)pSelectedControl);
            break;
        case XTP_ID_RIBBONCUSTOMIZE_QUICKACCESS_BELOW:
            pControl->SetVisible((bQuick || bNoMove) && !m_bQuickAccessBelow);
            break;
        case XTP_ID_RIBBONCUSTOMIZE_QUICKACCESS_ABOVE:
            pControl->SetVisible((bQuick || bNoMove) && m_bQuickAccessBelow);
            break;
        case XTP_ID_RIBBONCUSTOMIZE_MINIMIZE:
            pControl->SetVisible(m_bAllowMinimize);
            pControl->SetChecked(m_bMinimized);
            pControl->SetTag((DWORD)(DWORD_PTR)pSelectedControl);
            break;
        case XTP_ID_RIBBONCUSTOMIZE_COMMANDS:
        {
            pControl->SetVisible(FALSE);
            CXTPControls* pOriginal = m_pQuickAccessControls->GetOriginalControls();
            for (int j = 0; pOriginal != NULL && j < pOriginal->GetCount(); j++)
            {
                CXTPControl* pSource = pOriginal->GetAt(j);
                CControlQuickAccessCommand* pCommand = new CControlQuickAccessCommand(m_pQuickAccessControls, pSource);
                pPopup->GetControls()->Add(pCommand, 0, NULL, i + 1 + j);
                pCommand->SetCaption(pSource->GetCaption());
                pCommand->SetFlags(pCommand->GetFlags() | xtpFlagManualUpdate);
                CXTPControl* pTwin = m_pQuickAccessControls->FindDuplicate(pSource);
                pCommand->SetQuickAccessControl(pTwin);
                pCommand->SetChecked(pTwin != NULL);
            }
            break;
        }
        case XTP_ID_RIBBONCUSTOMIZE_LABEL:
            pControl = pPopup->GetControls()->SetControlType(pControl, xtpControlLabel);
            if (pControl != NULL)
            {
                pControl->SetItemDefault(TRUE);
                pControl->SetFlags(pControl->GetFlags() | xtpFlagManualUpdate);
            }
            break;
        default:
            break;
        }
    }
    if (pSite != NULL && pSite->GetSafeHwnd() != NULL)
        pSite->SendMessage(WM_XTP_TOOLBARCONTEXTMENU, (WPARAM)this, (LPARAM)pPopup);
    return pPopup;
}

CXTPPopupBar* CXTPRibbonBar::CreateMoreQuickAccessPopup()
{
    CMorePopupToolBar* pPopup = new CMorePopupToolBar(this);
    pPopup->SetCommandBars(GetCommandBars());
    for (int i = 0; i < m_pQuickAccessControls->GetCount(); i++)
    {
        CXTPControl* pControl = m_pQuickAccessControls->GetAt(i);
        if ((pControl->GetHideFlags() & xtpHideWrap) == 0 || !pControl->IsVisible(xtpHideWrap))
            continue;
        CXTPControl* pCopy = pPopup->GetControls()->AddClone(pControl, -1, TRUE);
        if (pCopy != NULL)
            pCopy->SetHideFlag(xtpHideWrap, FALSE);
    }
    CXTPControl* pCustomize = pPopup->GetControls()->AddClone(m_pControlQuickAccess, -1, FALSE);
    if (pCustomize != NULL)
        pCustomize->SetHideFlag(xtpHideWrap, FALSE);
    pPopup->SetMRUWidth(300);
    return pPopup;
}

LRESULT CXTPRibbonBar::OnQuickAccessCommand(NMXTPCONTROL* pNM)
{
    CXTPControl* pMenuControl = pNM != NULL ? pNM->pControl : NULL;
    if (pMenuControl == NULL)
        return 0;
    CXTPControl* pTarget = (CXTPControl*)(DWORD_PTR)pMenuControl->GetTag();
    switch (pMenuControl->GetID())
    {
    case XTP_ID_RIBBONCUSTOMIZE_ADD:
    {
        if (pTarget == NULL || !IsAllowQuickAccessControl(pTarget))
            return 1;
        CXTPControl* pClone = CreateQuickAccessCopy(pTarget);
        if (pClone == NULL)
            return 1;
        m_pQuickAccessControls->Add(pClone, pTarget->GetID());
        OnRecalcLayout();
        return 1;
    }
    case XTP_ID_RIBBONCUSTOMIZE_REMOVE:
        if (pTarget != NULL && IsQuickAccessControl(pTarget))
            m_pQuickAccessControls->Remove(pTarget);
        OnRecalcLayout();
        return 1;
    case XTP_ID_RIBBONCUSTOMIZE_MORE:
    {
        CWnd* pOwner = GetOwnerSite();
        if (pOwner == NULL || pOwner->SendMessage(WM_XTP_COMMAND, XTP_ID_RIBBONCUSTOMIZE_MORE, (LPARAM)pNM) == 0)
            XTPDeliverCommand(pOwner, XTP_ID_RIBBONCUSTOMIZE_MORE);
        return 1;
    }
    case XTP_ID_RIBBONCUSTOMIZE_MINIMIZE:
        SetMinimized(!m_bMinimized);
        return 1;
    default:
        return 0;
    }
}

LRESULT CXTPRibbonBar::OnControlNotify(WPARAM wParam, LPARAM lParam)
{
    try
    {
        NMXTPCONTROL* pNM = (NMXTPCONTROL*)lParam;
        if (pNM != NULL && pNM->pControl != NULL && wParam >= XTP_ID_RIBBONCUSTOMIZE_REMOVE &&
            wParam <= XTP_ID_RIBBONCUSTOMIZE_MINIMIZE)
        {
            if (wParam == XTP_ID_RIBBONCUSTOMIZE_QUICKACCESS_BELOW || wParam == XTP_ID_RIBBONCUSTOMIZE_QUICKACCESS_ABOVE)
            {
                ShowQuickAccessBelow(wParam == XTP_ID_RIBBONCUSTOMIZE_QUICKACCESS_BELOW);
                return 1;
            }
            return OnQuickAccessCommand(pNM);
        }
        // Anything else goes to the site as usual.
        CWnd* pSite = GetSite();
        return pSite != NULL && pSite->GetSafeHwnd() != NULL ? pSite->SendMessage(WM_XTP_COMMAND, wParam, lParam) : 0;
    }
    catch (CException* e)
    {
        TRACE("CXTPRibbonBar: a quick-access command failed\n");
        e->Delete();
        return 0;
    }
}

void CXTPRibbonBar::OnCustomizeCommand(UINT nID)
{
    ShowQuickAccessBelow(nID == XTP_ID_RIBBONCUSTOMIZE_QUICKACCESS_BELOW);
}

//////////////////////////////////////////////////////////////////////////
// Drawing

void CXTPRibbonBar::FillBackground(CDC* pDC)
{
    GetRibbonPaintManager()->DrawQuickAccessFrame(pDC, this);
}

void CXTPRibbonBar::DrawCommandBar(CDC* pDC, CRect rcClipBox)
{
    CXTPRibbonTheme* pTheme = GetRibbonPaintManager();
    pDC->SetBkMode(TRANSPARENT);
    pTheme->DrawQuickAccessFrame(pDC, this);

    CRect rcIntersect;
    if (!m_rcCaption.IsRectEmpty() && rcIntersect.IntersectRect(m_rcCaption, rcClipBox))
    {
        if (m_pFrameManager != NULL)
            pTheme->DrawRibbonFrameCaption(pDC, this, m_pFrameManager->IsFrameActive());
        else if (m_bShowCaption)
            pTheme->DrawRibbonCaptionArea(pDC, this);
    }
    CXTPRibbonTab* pTab = GetSelectedTab();
    if (m_bGroupsVisible && pTab != NULL && !m_rcGroups.IsRectEmpty())
        pTheme->FillGroupsArea(pDC, pTab, m_rcGroups);

    CXTPTabPaintManager* pTabPaint = m_pControlTab->GetPaintManager();
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (pTabPaint != NULL)
    {
        pTabPaint->m_bDrawTextHidePrefix = pCommandBars != NULL && !IsKeyboardCuesVisible();
        if (m_pControlTab->IsVisible() && rcIntersect.IntersectRect(m_rcTabControl, rcClipBox))
            pTabPaint->DrawTabControl(m_pControlTab, pDC, m_pControlTab->GetRect());
    }

    if (pTab != NULL && m_bGroupsVisible && !m_bMinimized)
    {
        CXTPRibbonGroups* pGroups = pTab->GetGroups();
        for (int i = 0; i < pGroups->GetCount(); i++)
        {
            CXTPRibbonGroup* pGroup = pGroups->GetAt(i);
            if (pGroup->IsVisible() && rcIntersect.IntersectRect(pGroup->GetRect(), rcClipBox))
                pGroup->Draw(pDC, rcClipBox);
        }
    }

    CXTPFontDC font(pDC, GetPaintManager()->GetCommandBarFont(this));
    BOOL bFirst = TRUE;
    for (int i = 0; i < GetControlCount(); i++)
    {
        CXTPControl* pControl = GetControl(i);
        if (pControl == m_pControlTab || pControl->GetRibbonGroup() != NULL || !pControl->IsVisible())
            continue;
        if (!rcIntersect.IntersectRect(pControl->GetRect(), rcClipBox))
            continue;
        if (pControl->GetBeginGroup() && !bFirst && !IsQuickAccessControl(pControl))
            GetPaintManager()->DrawCommandBarSeparator(pDC, this, pControl);
        bFirst = FALSE;
        CXTPFontDC fontControl(pDC, GetPaintManager()->GetCommandBarFont(this, pControl->IsItemDefault()));
        pControl->Draw(pDC);
        if (IsCustomizeMode() && pCommandBars != NULL && pCommandBars->GetDragControl() == pControl)
        {
            CRect rc = pControl->GetRect();
            pDC->Draw3dRect(rc, 0, 0);
            rc.DeflateRect(1, 1);
            pDC->Draw3dRect(rc, 0, 0);
        }
    }
    if (!m_rcMarker.IsRectEmpty())
        DrawInsertMarker(pDC);
}

//////////////////////////////////////////////////////////////////////////
// Exchange

void CXTPRibbonBar::DoPropExchange(CXTPPropExchange* pPX)
{
    // Only the ribbon's own state: its tabs and groups are the program's.
    BOOL bBelow = m_bQuickAccessBelow;
    PropExchangeBool(pPX, "ShowQuickAccessBelow", bBelow, FALSE);
    BOOL bMinimized = m_bMinimized;
    if (pPX->GetSchema() > 18)
        PropExchangeBool(pPX, "Minimized", bMinimized, FALSE);
    CXTPPropExchangeSection secControls(pPX->OpenSection("QuickAccessControls"));
    m_pQuickAccessControls->DoPropExchange(secControls);
    if (pPX->IsLoading())
    {
        m_bQuickAccessBelow = bBelow;
        SetMinimized(bMinimized);
        OnRecalcLayout();
    }
}
