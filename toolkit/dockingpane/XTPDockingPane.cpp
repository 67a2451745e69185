// A docking pane: title, options, the hosted window and its placement.
#include "XTPDockingPane.h"

#include "XTPDockingPaneLayout.h"
#include "XTPDockingPaneManager.h"
#include "XTPDockingPaneMiniWnd.h"
#include "XTPDockingPaneTabbedContainer.h"

#include <XTPControl.h>
#include <XTPImageManager.h>
#include <XTPPropExchange.h>
#include <XTPResourceManager.h>
#include <XTPTabManager.h>
#include <afxpriv.h>

#include <algorithm>

IMPLEMENT_DYNAMIC(CXTPDockingPane, CCmdTarget)

namespace
{
LONG ClampTrack(LONG n)
{
    return std::max(0L, std::min(n, (LONG)XTP_DOCKINGPANE_MAXSIZE));
}

BSTR AllocText(const CString& str)
{
    return str.AllocSysString();
}
} // namespace

CXTPDockingPane::CXTPDockingPane(CXTPDockingPaneLayout* pLayout)
    : CXTPDockingPaneBase(xtpPaneTypeDockingPane, pLayout), m_hwndChild(NULL), m_nID(0), m_nIconID(-1),
      m_dwOptions(0), m_dwData(0), m_ptMinTrackSize(0, 0),
      m_ptMaxTrackSize(XTP_DOCKINGPANE_MAXSIZE, XTP_DOCKINGPANE_MAXSIZE), m_clrItemTab(COLORREF_NULL), m_nHelpID(0),
      m_dwEnabled(xtpPaneEnabledAll)
{
    EnableAutomation();
}

CXTPDockingPane::~CXTPDockingPane()
{
}

void CXTPDockingPane::SetID(int nID)
{
    m_nID = nID;
    CString strTitle;
    XTPResourceManager()->LoadString(&strTitle, nID);
    m_strTitle = strTitle;
}

void CXTPDockingPane::SetTitle(LPCTSTR lpszTitle)
{
    m_strTitle = lpszTitle;
    OnChildContainerChanged(NULL);
}

CString CXTPDockingPane::GetTitle() const
{
    int nNewLine = m_strTitle.Find('\n');
    return nNewLine >= 0 ? m_strTitle.Left(nNewLine) : m_strTitle;
}

CString CXTPDockingPane::GetShortTitle() const
{
    int nNewLine = m_strTitle.Find('\n');
    return nNewLine >= 0 ? m_strTitle.Mid(nNewLine + 1) : m_strTitle;
}

CXTPImageManagerIcon* CXTPDockingPane::GetIcon(int nWidth) const
{
    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    if (pManager == NULL || pManager->GetImageManager() == NULL)
        return NULL;
    return pManager->GetImageManager()->GetImage(m_nIconID == -1 ? m_nID : m_nIconID, nWidth);
}

COLORREF CXTPDockingPane::GetItemColor() const
{
    if (m_clrItemTab != COLORREF_NULL)
        return m_clrItemTab;
    if (m_hwndChild != NULL && ::IsWindow(m_hwndChild))
    {
        COLORREF clr = (COLORREF)::SendMessage(m_hwndChild, XTP_WM_TABCOLOR, 0, 0);
        if (clr != 0)
            return clr;
    }
    return XTP_TABCOLOR_AUTOMATIC_FIRST + (COLORREF)(((m_nID % 8) + 8) % 8);
}

void CXTPDockingPane::Copy(const CXTPDockingPane* pPane)
{
    m_szDocking = pPane->m_szDocking;
    m_strTitle = pPane->m_strTitle;
    m_nIconID = pPane->m_nIconID;
    m_dwOptions = pPane->m_dwOptions;
    m_dwData = pPane->m_dwData;
    m_nID = pPane->m_nID;
    m_dwEnabled = pPane->m_dwEnabled;
    m_ptMinTrackSize = pPane->m_ptMinTrackSize;
    m_ptMaxTrackSize = pPane->m_ptMaxTrackSize;
    m_clrItemTab = pPane->m_clrItemTab;
    m_nHelpID = pPane->m_nHelpID;
}

DWORD CXTPDockingPane::GetOptions() const
{
    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    return m_dwOptions | (pManager != NULL ? pManager->GetDefaultPaneOptions() : 0);
}

void CXTPDockingPane::SetEnabled(DWORD dwEnabled)
{
    if (m_dwEnabled == dwEnabled)
        return;
    m_dwEnabled = dwEnabled;
    if (m_hwndChild != NULL && ::IsWindow(m_hwndChild))
        ::EnableWindow(m_hwndChild, (dwEnabled & xtpPaneEnabled) != 0);
    OnChildContainerChanged(NULL);
}

void CXTPDockingPane::SetMinTrackSize(CSize sz)
{
    m_ptMinTrackSize = CSize(ClampTrack(sz.cx), ClampTrack(sz.cy));
}

void CXTPDockingPane::SetMaxTrackSize(CSize sz)
{
    m_ptMaxTrackSize = CSize(ClampTrack(sz.cx), ClampTrack(sz.cy));
}

void CXTPDockingPane::SetTabColor(COLORREF clr)
{
    m_clrItemTab = clr;
    OnChildContainerChanged(NULL);
}

void CXTPDockingPane::SetFocus()
{
    if (m_hwndChild == NULL || !::IsWindow(m_hwndChild))
        return;
    HWND hWndFocus = ::GetFocus();
    if (hWndFocus == m_hwndChild || ::IsChild(m_hwndChild, hWndFocus))
        return;
    ::SetFocus(m_hwndChild);
}

BOOL CXTPDockingPane::IsSelected() const
{
    if (m_pParentContainer == NULL || m_pParentContainer->GetType() != xtpPaneTypeTabbedContainer)
        return FALSE;
    return static_cast<CXTPDockingPaneTabbedContainer*>(m_pParentContainer)->GetSelected() == this;
}

BOOL CXTPDockingPane::IsAutoHidden() const
{
    return m_pParentContainer != NULL && m_pParentContainer->IsAutoHidden();
}

BOOL CXTPDockingPane::IsFloating() const
{
    if (m_pParentContainer == NULL || IsAutoHidden() || m_pParentContainer->GetPaneHwnd() == NULL)
        return FALSE;
    CWnd* pSite = GetDockingSite();
    return pSite != NULL && pSite->IsKindOf(RUNTIME_CLASS(CXTPDockingPaneMiniWnd));
}

BOOL CXTPDockingPane::IsFocus() const
{
    HWND hWndFocus = ::GetFocus();
    return m_hwndChild != NULL && hWndFocus != NULL && (hWndFocus == m_hwndChild || ::IsChild(m_hwndChild, hWndFocus));
}

CWnd* CXTPDockingPane::GetDockingSite() const
{
    return m_pParentContainer != NULL ? m_pParentContainer->GetDockingSite() : NULL;
}

void CXTPDockingPane::GetMinMaxInfo(LPMINMAXINFO pMinMaxInfo) const
{
    ZeroMemory(pMinMaxInfo, sizeof(MINMAXINFO));
    pMinMaxInfo->ptMinTrackSize = CPoint(m_ptMinTrackSize.cx, m_ptMinTrackSize.cy);
    pMinMaxInfo->ptMaxTrackSize = CPoint(m_ptMaxTrackSize.cx, m_ptMaxTrackSize.cy);
}

void CXTPDockingPane::AttachWindow(CWnd* pWnd)
{
    AttachWindow(pWnd->GetSafeHwnd());
}

void CXTPDockingPane::AttachWindow(HWND hWnd)
{
    if (hWnd == NULL || !::IsWindow(hWnd))
        return;
    m_hwndChild = hWnd;
    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    if (pManager != NULL)
        pManager->RedrawPanes();
    HWND hWndParent = m_pParentContainer != NULL ? m_pParentContainer->GetPaneHwnd() : NULL;
    if (hWndParent != NULL && ::GetParent(hWnd) != hWndParent)
        ::SetParent(hWnd, hWndParent);
    if (pManager != NULL && pManager->IsInitialUpdateCalled())
        CWnd::SendMessageToDescendants(hWnd, WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
}

void CXTPDockingPane::Detach()
{
    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    if (m_hwndChild != NULL)
    {
        if (::IsWindow(m_hwndChild))
        {
            ::ShowWindow(m_hwndChild, SW_HIDE);
            if (pManager != NULL && pManager->GetSite() != NULL)
                ::SetParent(m_hwndChild, pManager->GetSite()->GetSafeHwnd());
        }
        m_hwndChild = NULL;
    }
    if (pManager != NULL)
        pManager->RedrawPanes();
}

void CXTPDockingPane::SetWindowRect(int nLeft, int nTop, int nRight, int nBottom)
{
    m_rcWindow.SetRect(nLeft, nTop, nRight, nBottom);
    SetDockingSize(nRight - nLeft, nBottom - nTop);
}

void CXTPDockingPane::ShowWindow(BOOL bShow)
{
    if (bShow)
    {
        // The owner attaches the window on demand; an owner that cannot
        // yet (no view during frame creation) is asked again next time.
        CXTPDockingPaneManager* pManager = GetDockingPaneManager();
        if (pManager != NULL)
        {
            InternalAddRef();
            pManager->NotifyOwner(XTP_DPN_SHOWWINDOW, (LPARAM)this);
            InternalRelease();
        }
    }
    if (m_hwndChild != NULL && ::IsWindow(m_hwndChild))
        ::ShowWindow(m_hwndChild, bShow ? SW_SHOW : SW_HIDE);
}

void CXTPDockingPane::OnSizeParent(CWnd* pParent, CRect rect, LPVOID lParam)
{
    SetDockingSite(pParent);
    AFX_SIZEPARENTPARAMS* pParams = (AFX_SIZEPARENTPARAMS*)lParam;
    if (pParams != NULL && pParams->hDWP == NULL)
        return;

    m_rcWindow = rect;
    HWND hWndParent = m_pParentContainer != NULL ? m_pParentContainer->GetPaneHwnd() : NULL;
    if (pParent != NULL && pParent->GetSafeHwnd() != NULL && hWndParent != NULL)
        ::MapWindowPoints(pParent->GetSafeHwnd(), hWndParent, (LPPOINT)&rect, 2);

    if (m_hwndChild != NULL && ::IsWindow(m_hwndChild))
    {
        CRect rcNow;
        ::GetWindowRect(m_hwndChild, &rcNow);
        ::MapWindowPoints(NULL, ::GetParent(m_hwndChild), (LPPOINT)&rcNow, 2);
        if (rcNow != rect)
            ::MoveWindow(m_hwndChild, rect.left, rect.top, rect.Width(), rect.Height(), TRUE);
        ::EnableWindow(m_hwndChild, (m_dwEnabled & xtpPaneEnabled) != 0);
    }
}

void CXTPDockingPane::SetParentContainer(CXTPDockingPaneBase* pContainer)
{
    m_pParentContainer = pContainer;
    if (m_hwndChild == NULL || !::IsWindow(m_hwndChild))
        return;
    if (pContainer != NULL)
    {
        HWND hWndParent = pContainer->GetPaneHwnd();
        if (hWndParent != NULL && ::GetParent(m_hwndChild) != hWndParent)
            ::SetParent(m_hwndChild, hWndParent);
    }
    else
    {
        ::ShowWindow(m_hwndChild, SW_HIDE);
        CXTPDockingPaneManager* pManager = GetDockingPaneManager();
        if (pManager != NULL && pManager->GetSafeHwnd() != NULL)
            ::SetParent(m_hwndChild, pManager->GetSafeHwnd());
        m_pDockingSite = NULL;
    }
}

BOOL CXTPDockingPane::DoPropExchange(CXTPPropExchange* pPX)
{
    CXTPDockingPaneBase::DoPropExchange(pPX);
    if (pPX->IsLoading())
    {
        // A layout that holds no docking size for the pane (a pane that was
        // only ever floating) gives it the default one: docked later, it
        // would otherwise get no width or height at all.
        SetDockingSize(m_szDocking.cx > 0 ? m_szDocking.cx : XTP_DOCKINGPANE_DEFAULTCX,
                       m_szDocking.cy > 0 ? m_szDocking.cy : XTP_DOCKINGPANE_DEFAULTCY);
    }

    PropExchangeString(pPX, _T("Title"), m_strTitle);
    PropExchangeLong(pPX, _T("ID"), m_nID);
    PropExchangeLongWithDefault(pPX, _T("IconID"), m_nIconID, -1);
    PropExchangeLong(pPX, _T("Options"), m_dwOptions);

    if (pPX->IsStoring())
    {
        XTP_DOCKINGPANE_INFO* pInfo = m_pLayout != NULL ? m_pLayout->FindPaneInfo(this) : NULL;
        // A sequential (archive) store always carries the three values, so
        // that reading it back stays in step.
        if (pInfo != NULL || !pPX->CanOmitValues())
        {
            int nDocking = pInfo != NULL && pInfo->pDockingHolder != NULL ? pInfo->pDockingHolder->m_nIndex : 0;
            int nFloating = pInfo != NULL && pInfo->pFloatingHolder != NULL ? pInfo->pFloatingHolder->m_nIndex : 0;
            int nLast = pInfo != NULL && pInfo->pLastHolder != NULL ? pInfo->pLastHolder->m_nIndex : 0;
            PropExchangeLong(pPX, _T("DockingHolder"), nDocking);
            PropExchangeLong(pPX, _T("FloatingHolder"), nFloating);
            PropExchangeLong(pPX, _T("LastHolder"), nLast);
        }
    }
    else
    {
        int nDocking = 0, nFloating = 0, nLast = 0;
        PropExchangeLong(pPX, _T("DockingHolder"), nDocking);
        PropExchangeLong(pPX, _T("FloatingHolder"), nFloating);
        PropExchangeLong(pPX, _T("LastHolder"), nLast);

        // A holder is a tabbed container; anything else a store names is
        // not kept.
        auto holder = [pPX](int nIndex) -> CXTPDockingPaneBase* {
            CXTPDockingPaneBase* pHolder = CXTPDockingPaneLayout::LookupObject(pPX, nIndex);
            return pHolder != NULL && pHolder->GetType() == xtpPaneTypeTabbedContainer ? pHolder : NULL;
        };
        XTP_DOCKINGPANE_INFO info(this);
        info.pFloatingHolder = holder(nFloating);
        info.pDockingHolder = holder(nDocking);
        info.pLastHolder = holder(nLast);
        if (m_pLayout != NULL)
            m_pLayout->GetPaneList().AddTail(info);
    }

    long nMinX = m_ptMinTrackSize.cx, nMinY = m_ptMinTrackSize.cy;
    long nMaxX = m_ptMaxTrackSize.cx, nMaxY = m_ptMaxTrackSize.cy;
    PropExchangeLong(pPX, _T("MinTrackX"), nMinX);
    PropExchangeLong(pPX, _T("MinTrackY"), nMinY);
    PropExchangeLongWithDefault(pPX, _T("MaxTrackX"), nMaxX, XTP_DOCKINGPANE_MAXSIZE);
    PropExchangeLongWithDefault(pPX, _T("MaxTrackY"), nMaxY, XTP_DOCKINGPANE_MAXSIZE);
    if (pPX->IsLoading())
    {
        // Tracking sizes read from a store stay within range, the minimum
        // never above the maximum.
        nMaxX = ClampTrack(nMaxX);
        nMaxY = ClampTrack(nMaxY);
        m_ptMinTrackSize = CSize(std::min(ClampTrack(nMinX), nMaxX), std::min(ClampTrack(nMinY), nMaxY));
        m_ptMaxTrackSize = CSize(nMaxX, nMaxY);
    }

    if (pPX->GetSchema() > 9)
    {
        PropExchangeLongWithDefault(pPX, _T("TabColor"), m_clrItemTab, COLORREF_NULL);
        PropExchangeLong(pPX, _T("HelpId"), m_nHelpID);
        DWORD dwTag = m_dwData;
        PropExchangeLong(pPX, _T("Tag"), dwTag);
        if (pPX->IsLoading())
            m_dwData = dwTag;
    }

    return pPX->IsStoring() || m_nID > 0;
}

CXTPDockingPaneBase* CXTPDockingPane::Clone(CXTPDockingPaneLayout* pLayout, CXTPPaneToPaneMap* pMap,
                                            DWORD dwIgnoredOptions)
{
    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    CXTPDockingPaneBase* pBase = pManager != NULL ? pManager->OnCreatePane(xtpPaneTypeDockingPane, pLayout) : NULL;
    if (pBase == NULL)
        return NULL;
    CXTPDockingPane* pClone = static_cast<CXTPDockingPane*>(pBase);
    pClone->Copy(this);
    pClone->m_rcWindow = m_rcWindow;
    if (pMap != NULL)
        pMap->SetAt(this, pClone);
    return pClone;
}

void CXTPDockingPane::Close()
{
    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    if (pManager != NULL)
        pManager->ClosePane(this);
}

void CXTPDockingPane::Hide()
{
    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    if (pManager != NULL)
        pManager->HidePane(this);
}

void CXTPDockingPane::Select()
{
    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    if (pManager != NULL)
        pManager->ShowPane(this, TRUE);
}

//////////////////////////////////////////////////////////////////////////
// Accessibility

namespace
{
CXTPDockingPaneTabbedContainer* TabbedParent(const CXTPDockingPaneBase* pPane)
{
    CXTPDockingPaneBase* pParent = pPane->GetContainer();
    if (pParent == NULL || pParent->GetType() != xtpPaneTypeTabbedContainer)
        return NULL;
    return static_cast<CXTPDockingPaneTabbedContainer*>(pParent);
}
} // namespace

DWORD CXTPDockingPane::InternalQueryInterface(const void* iid, LPVOID* ppvObj)
{
    return XTPQueryAccessible(this, GetAccessible(), iid, ppvObj);
}

LPDISPATCH CXTPDockingPane::GetIDispatch(BOOL bAddRef)
{
    IDispatch* pDispatch = GetAccessible();
    if (bAddRef)
        pDispatch->AddRef();
    return pDispatch;
}

HRESULT CXTPDockingPane::GetAccessibleParent(IDispatch** ppdispParent)
{
    *ppdispParent = NULL;
    CXTPDockingPaneTabbedContainer* pContainer = TabbedParent(this);
    if (pContainer == NULL)
        return E_FAIL;
    *ppdispParent = pContainer->GetIDispatch(TRUE);
    return S_OK;
}

HRESULT CXTPDockingPane::GetAccessibleChildCount(long* pcountChildren)
{
    *pcountChildren = m_hwndChild != NULL ? 1 : 0;
    return S_OK;
}

HRESULT CXTPDockingPane::GetAccessibleChild(VARIANT varChild, IDispatch** ppdispChild)
{
    *ppdispChild = NULL;
    if (GetChildIndex(&varChild) != 1 || m_hwndChild == NULL)
        return E_INVALIDARG;
    return AccessibleObjectFromWindow(m_hwndChild, (DWORD)OBJID_WINDOW, IID_IDispatch, (void**)ppdispChild);
}

void CXTPDockingPane::GetAccessibleHostedWindow(VARIANT* pvar)
{
    IDispatch* pDispatch = NULL;
    if (m_hwndChild != NULL &&
        SUCCEEDED(AccessibleObjectFromWindow(m_hwndChild, (DWORD)OBJID_WINDOW, IID_IDispatch, (void**)&pDispatch)) &&
        pDispatch != NULL)
    {
        pvar->vt = VT_DISPATCH;
        pvar->pdispVal = pDispatch;
        return;
    }
    pvar->vt = VT_I4;
    pvar->lVal = 1;
}

HRESULT CXTPDockingPane::GetAccessibleName(VARIANT, BSTR* pszName)
{
    *pszName = AllocText(GetShortTitle());
    return S_OK;
}

HRESULT CXTPDockingPane::GetAccessibleDescription(VARIANT, BSTR* pszDescription)
{
    *pszDescription = AllocText(GetTitle());
    return S_OK;
}

HRESULT CXTPDockingPane::GetAccessibleRole(VARIANT, VARIANT* pvarRole)
{
    pvarRole->vt = VT_I4;
    pvarRole->lVal = ROLE_SYSTEM_PAGETAB;
    return S_OK;
}

HRESULT CXTPDockingPane::GetAccessibleState(VARIANT, VARIANT* pvarState)
{
    pvarState->vt = VT_I4;
    pvarState->lVal = STATE_SYSTEM_SELECTABLE;
    if (IsClosed())
        pvarState->lVal |= STATE_SYSTEM_INVISIBLE;
    if (IsSelected())
        pvarState->lVal |= STATE_SYSTEM_SELECTED;
    return S_OK;
}

HRESULT CXTPDockingPane::GetAccessibleDefaultAction(VARIANT, BSTR* pszDefaultAction)
{
    *pszDefaultAction = ::SysAllocString(L"Switch");
    return S_OK;
}

BOOL CXTPDockingPane::IsListedInLayout() const
{
    // A client may still hold a pane that was destroyed; showing it would
    // put a pane the program no longer knows back on screen.
    return m_pLayout != NULL && m_pLayout->FindPaneInfo(this) != NULL;
}

HRESULT CXTPDockingPane::AccessibleDoDefaultAction(VARIANT)
{
    if (!IsListedInLayout())
        return E_FAIL;
    std::shared_ptr<CXTPDockingPane> pPane = KeepAlive(this);
    return PostDefaultAction([pPane] {
        // The pane may have been destroyed meanwhile.
        if (pPane->IsListedInLayout())
            pPane->Select();
    });
}

HRESULT CXTPDockingPane::AccessibleSelect(long, VARIANT)
{
    if (!IsListedInLayout())
        return E_FAIL;
    Select();
    return S_OK;
}

HRESULT CXTPDockingPane::AccessibleLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight,
                                            VARIANT varChild)
{
    CRect rc(0, 0, 0, 0);
    CXTPDockingPaneTabbedContainer* pContainer = TabbedParent(this);
    if (GetChildIndex(&varChild) == 1)
    {
        ::GetWindowRect(m_hwndChild, &rc);
    }
    else if (pContainer != NULL && pContainer->GetSafeHwnd() != NULL)
    {
        pContainer->CWnd::GetWindowRect(&rc);
        // Its tab, when the container shows a row of two or more.
        if (pContainer->IsTabsVisible() && pContainer->GetItemCount() >= 2)
        {
            for (int i = 0; i < pContainer->GetItemCount(); i++)
            {
                if ((CXTPDockingPane*)pContainer->GetItem(i)->GetData() == this)
                {
                    rc = pContainer->GetItem(i)->GetRect();
                    pContainer->ClientToScreen(&rc);
                    break;
                }
            }
        }
    }
    *pxLeft = rc.left;
    *pyTop = rc.top;
    *pcxWidth = rc.Width();
    *pcyHeight = rc.Height();
    return S_OK;
}

HRESULT CXTPDockingPane::AccessibleNavigate(long navDir, VARIANT varStart, VARIANT* pvarEndUpAt)
{
    pvarEndUpAt->vt = VT_EMPTY;
    const long nStart = GetChildIndex(&varStart);
    switch (navDir)
    {
    case NAVDIR_FIRSTCHILD:
    case NAVDIR_LASTCHILD:
        if (nStart != CHILDID_SELF)
            return E_INVALIDARG;
        if (m_hwndChild == NULL)
            return S_FALSE;
        GetAccessibleHostedWindow(pvarEndUpAt);
        return S_OK;
    case NAVDIR_NEXT:
    case NAVDIR_PREVIOUS:
    {
        // The pane's siblings are the other tabs of its container.
        CXTPDockingPaneTabbedContainer* pContainer = TabbedParent(this);
        POSITION pos = pContainer != NULL && nStart == CHILDID_SELF ? pContainer->GetPanes().Find(this) : NULL;
        if (pos == NULL)
            return S_FALSE;
        if (navDir == NAVDIR_NEXT)
            pContainer->GetPanes().GetNext(pos);
        else
            pContainer->GetPanes().GetPrev(pos);
        if (pos == NULL)
            return S_FALSE;
        CXTPDockingPane* pSibling = static_cast<CXTPDockingPane*>(pContainer->GetPanes().GetAt(pos));
        pvarEndUpAt->vt = VT_DISPATCH;
        pvarEndUpAt->pdispVal = pSibling->GetIDispatch(TRUE);
        return S_OK;
    }
    case NAVDIR_UP:
    case NAVDIR_DOWN:
    case NAVDIR_LEFT:
    case NAVDIR_RIGHT:
        return S_FALSE;
    default:
        return E_INVALIDARG;
    }
}

HRESULT CXTPDockingPane::AccessibleHitTest(long xLeft, long yTop, VARIANT* pvarChild)
{
    pvarChild->vt = VT_EMPTY;
    const CPoint pt(xLeft, yTop);
    VARIANT varSelf;
    varSelf.vt = VT_I4;
    varSelf.lVal = CHILDID_SELF;
    long x = 0, y = 0, cx = 0, cy = 0;
    AccessibleLocation(&x, &y, &cx, &cy, varSelf);
    BOOL bHit = CRect(x, y, x + cx, y + cy).PtInRect(pt);
    if (!bHit && m_hwndChild != NULL && ::IsWindowVisible(m_hwndChild))
    {
        CRect rcHosted;
        ::GetWindowRect(m_hwndChild, &rcHosted);
        bHit = rcHosted.PtInRect(pt);
    }
    if (!bHit)
        return S_FALSE;
    pvarChild->vt = VT_I4;
    pvarChild->lVal = CHILDID_SELF;
    return S_OK;
}
