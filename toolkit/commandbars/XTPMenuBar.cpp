// The menu bar: loading from a menu resource, Alt into the menu, the MDI
// child's buttons and system menu, and per-document menu sets.
#include "XTPMenuBar.h"
#include "XTPControls.h"
#include "XTPControlAction.h"
#include "XTPCommandBars.h"
#include "XTPPaintManager.h"
#include "XTPImageManager.h"
#include "XTPResourceManager.h"
#include "XTPDCHelpers.h"

XTP_IMPLEMENT_DYNCREATE_NESTED(CXTPMenuBar, CControlMDISysMenuPopup, CXTPControlPopup)
XTP_IMPLEMENT_DYNCREATE_NESTED(CXTPMenuBar::CControlMDISysMenuPopup, CXTPSysMenuPopupBar, CXTPPopupBar)
XTP_IMPLEMENT_DYNCREATE_NESTED(CXTPMenuBar, CControlMDIButton, CXTPControlButton)
IMPLEMENT_DYNCREATE(CXTPMenuBar, CXTPToolBar)

BEGIN_MESSAGE_MAP(CXTPMenuBar, CXTPToolBar)
    ON_WM_TIMER()
END_MESSAGE_MAP()

//////////////////////////////////////////////////////////////////////////
// Menu sets of the document types

CXTPMenuBarMDIMenuInfo::CXTPMenuBarMDIMenuInfo(CXTPCommandBars* pCommandBars, UINT nIDResource)
    : m_pControls(NULL)
    , m_hIcon(NULL)
    , m_nIDResource(nIDResource)
    , m_bChanged(FALSE)
{
    m_pControls = new CXTPControls();
    m_pControls->SetCommandBars(pCommandBars);

    CWinApp* pApp = AfxGetApp();
    if (pApp != NULL)
    {
        POSITION pos = pApp->GetFirstDocTemplatePosition();
        while (pos != NULL)
        {
            CDocTemplate* pTemplate = pApp->GetNextDocTemplate(pos);
            if (pTemplate != NULL && pTemplate->m_nIDResource == nIDResource)
            {
                pTemplate->GetDocString(m_strTitle, CDocTemplate::docName);
                pTemplate->GetDocString(m_strDescription, CDocTemplate::regFileTypeName);
                break;
            }
        }
    }
    HINSTANCE hInst = AfxFindResourceHandle(MAKEINTRESOURCE(nIDResource), RT_GROUP_ICON);
    if (hInst != NULL && ::FindResource(hInst, MAKEINTRESOURCE(nIDResource), RT_GROUP_ICON) != NULL)
        m_hIcon = ::LoadIcon(hInst, MAKEINTRESOURCE(nIDResource));
}

CXTPMenuBarMDIMenuInfo::~CXTPMenuBarMDIMenuInfo()
{
    if (m_pControls != NULL)
        m_pControls->InternalRelease();
}

CXTPMenuBarMDIMenus::CXTPMenuBarMDIMenus(CXTPMenuBar* pMenuBar)
    : m_pMenuBar(pMenuBar)
{
    m_mapMenus.InitHashTable(17);
}

CXTPMenuBarMDIMenus::~CXTPMenuBarMDIMenus()
{
    RemoveAll();
}

CXTPMenuBarMDIMenuInfo* CXTPMenuBarMDIMenus::Lookup(UINT nIDResource) const
{
    CXTPMenuBarMDIMenuInfo* pInfo = NULL;
    return m_mapMenus.Lookup(nIDResource, pInfo) ? pInfo : NULL;
}

void CXTPMenuBarMDIMenus::SetAt(UINT nIDResource, CXTPMenuBarMDIMenuInfo* pInfo)
{
    CXTPMenuBarMDIMenuInfo* pOld = Lookup(nIDResource);
    if (pOld == pInfo)
        return;
    m_mapMenus.SetAt(nIDResource, pInfo);
    if (pOld != NULL)
        pOld->InternalRelease();
}

void CXTPMenuBarMDIMenus::Remove(UINT nIDResource)
{
    CXTPMenuBarMDIMenuInfo* pInfo = Lookup(nIDResource);
    if (pInfo == NULL)
        return;
    m_mapMenus.RemoveKey(nIDResource);
    pInfo->InternalRelease();
}

void CXTPMenuBarMDIMenus::RemoveAll()
{
    POSITION pos = m_mapMenus.GetStartPosition();
    while (pos != NULL)
    {
        UINT nId;
        CXTPMenuBarMDIMenuInfo* pInfo;
        m_mapMenus.GetNextAssoc(pos, nId, pInfo);
        pInfo->InternalRelease();
    }
    m_mapMenus.RemoveAll();
}

void CXTPMenuBarMDIMenus::GetNextMenu(POSITION& pos, UINT& nIDResource, CXTPMenuBarMDIMenuInfo*& pInfo) const
{
    m_mapMenus.GetNextAssoc(pos, nIDResource, pInfo);
}

//////////////////////////////////////////////////////////////////////////
// The maximised child's system menu

CXTPMenuBar::CControlMDISysMenuPopup::CControlMDISysMenuPopup()
    : m_hWndActiveChild(NULL)
    , m_hDocMenu(NULL)
    , m_hIcon(NULL)
{
    m_controlType = xtpControlPopup;
    m_dwFlags |= 0x18;
    m_strCaption = _T("-");
}

CXTPMenuBar::CControlMDISysMenuPopup::CControlMDISysMenuPopup(HWND hWndActiveChild, HMENU hDocMenu)
    : m_hWndActiveChild(NULL)
    , m_hDocMenu(NULL)
    , m_hIcon(NULL)
{
    m_controlType = xtpControlPopup;
    m_dwFlags |= 0x18;
    m_strCaption = _T("-");
    SetMDISysMenu(hWndActiveChild, hDocMenu);
}

CXTPMenuBar::CControlMDISysMenuPopup::~CControlMDISysMenuPopup()
{
    if (m_hIcon != NULL)
        ::DestroyIcon(m_hIcon);
}

void CXTPMenuBar::CControlMDISysMenuPopup::SetMDISysMenu(HWND hWndActiveChild, HMENU hDocMenu)
{
    m_hWndActiveChild = hWndActiveChild;
    m_hDocMenu = hDocMenu;

    HICON hIcon = (HICON)::SendMessage(hWndActiveChild, WM_XTP_GETWINDOWICON, 0, 0);
    if (hIcon == NULL)
        hIcon = (HICON)::SendMessage(hWndActiveChild, WM_GETICON, ICON_SMALL, 0);
    if (hIcon == NULL)
        hIcon = (HICON)::SendMessage(hWndActiveChild, WM_GETICON, ICON_BIG, 0);
    if (hIcon == NULL)
        hIcon = (HICON)::GetClassLongPtr(hWndActiveChild, GCLP_HICONSM);
    if (hIcon == NULL)
        hIcon = ::LoadIcon(NULL, IDI_WINLOGO);
    if (m_hIcon != NULL)
        ::DestroyIcon(m_hIcon);
    m_hIcon = hIcon != NULL ? (HICON)::CopyImage(hIcon, IMAGE_ICON, 16, 16, 0) : NULL;

    CXTPSysMenuPopupBar* pPopupBar = new CXTPSysMenuPopupBar();
    pPopupBar->SetCommandBars(GetCommandBars());
    SetCommandBar(pPopupBar);
    pPopupBar->InternalRelease();

    CMenu* pMenu = CMenu::FromHandle(hDocMenu);
    int nCount = pMenu != NULL ? pMenu->GetMenuItemCount() : 0;
    int nDefault = (int)::GetMenuDefaultItem(hDocMenu, TRUE, GMDI_USEDISABLED);
    BOOL bBeginGroup = FALSE;
    for (int i = 0; i < nCount; i++)
    {
        UINT nId = pMenu->GetMenuItemID(i);
        if (nId == 0)
        {
            bBeginGroup = TRUE;
            continue;
        }
        CXTPControl* pControl = NULL;
        if (nId >= 0xF000 && nId < 0xF000 + 496)
        {
            pControl = pPopupBar->GetControls()->Add(xtpControlButton, (int)nId);
            CString strCaption;
            pMenu->GetMenuString((UINT)i, strCaption, MF_BYPOSITION);
            pControl->SetCaption(strCaption);
            pControl->SetFlags(pControl->GetFlags() | xtpFlagManualUpdate);
            CString strDescription;
            if (XTPResourceManager()->LoadString(&strDescription, ((nId - 0xF000) >> 4) + 0xEF00))
                pControl->SetDescription(strDescription);
            pControl->SetItemDefault(i == nDefault);
            UINT nState = pMenu->GetMenuState((UINT)i, MF_BYPOSITION);
            pControl->SetEnabled((nState & (MF_DISABLED | MF_GRAYED)) == 0);
        }
        else
        {
            pControl = pPopupBar->GetControls()->AddMenuItem(pMenu, i);
        }
        if (pControl != NULL && bBeginGroup)
        {
            pControl->SetBeginGroup(TRUE);
            bBeginGroup = FALSE;
        }
    }
    UpdateSystemCommands();
}

void CXTPMenuBar::CControlMDISysMenuPopup::UpdateSystemCommands()
{
    // The system menu keeps the states it was last shown with; the
    // system sets them anew only when it shows the menu itself.
    CXTPCommandBar* pPopupBar = GetCommandBar();
    if (pPopupBar == NULL || !::IsWindow(m_hWndActiveChild))
        return;
    const DWORD dwStyle = (DWORD)::GetWindowLong(m_hWndActiveChild, GWL_STYLE);
    const BOOL bMaximized = ::IsZoomed(m_hWndActiveChild);
    const BOOL bMinimized = ::IsIconic(m_hWndActiveChild);
    CXTPControls* pControls = pPopupBar->GetControls();
    for (int i = 0; i < pControls->GetCount(); i++)
    {
        CXTPControl* pControl = pControls->GetAt(i);
        switch (pControl->GetID())
        {
        case SC_RESTORE:
            pControl->SetEnabled(bMaximized || bMinimized);
            break;
        case SC_MOVE:
            pControl->SetEnabled(!bMaximized);
            break;
        case SC_SIZE:
            pControl->SetEnabled(!bMaximized && !bMinimized && (dwStyle & WS_THICKFRAME) != 0);
            break;
        case SC_MINIMIZE:
            pControl->SetEnabled(!bMinimized && (dwStyle & WS_MINIMIZEBOX) != 0);
            break;
        case SC_MAXIMIZE:
            pControl->SetEnabled(!bMaximized && (dwStyle & WS_MAXIMIZEBOX) != 0);
            break;
        default:
            break;
        }
    }
}

BOOL CXTPMenuBar::CControlMDISysMenuPopup::OnSetPopup(BOOL bPopup)
{
    if (bPopup)
        UpdateSystemCommands();
    return CXTPControlPopup::OnSetPopup(bPopup);
}

CSize CXTPMenuBar::CControlMDISysMenuPopup::GetSize(CDC*)
{
    return CSize(20, 20);
}

void CXTPMenuBar::CControlMDISysMenuPopup::Draw(CDC* pDC)
{
    if (m_hIcon != NULL)
        pDC->DrawState(m_rcControl.TopLeft(), CSize(16, 16), m_hIcon, DST_ICON | DSS_NORMAL, (HBRUSH)NULL);
}

void CXTPMenuBar::CControlMDISysMenuPopup::AdjustExcludeRect(CRect& rc, BOOL)
{
    rc.InflateRect(1, 1);
}

//////////////////////////////////////////////////////////////////////////
// The maximised child's window buttons

CXTPMenuBar::CControlMDIButton::CControlMDIButton()
{
    m_dwFlags |= 0x1B;
}

CSize CXTPMenuBar::CControlMDIButton::GetSize(CDC*)
{
    return CSize(16, 16);
}

void CXTPMenuBar::CControlMDIButton::Draw(CDC* pDC)
{
    CXTPPaintManager* pPaintManager = GetPaintManager();
    pPaintManager->DrawControlEntry(pDC, this);
    COLORREF clrText = pPaintManager->GetControlTextColor(this);
    int nDpi = ::GetDeviceCaps(pDC->GetSafeHdc(), LOGPIXELSX);
    CFont font;
    font.CreatePointFont(80 * 96 / std::max(1, nDpi), _T("Marlett"), pDC);
    CXTPFontDC fontDC(pDC, &font, clrText);
    CRect rc = m_rcControl;
    pDC->DrawText(m_strParameter, &rc, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
}

void CXTPMenuBar::CControlMDIButton::OnExecute()
{
    CXTPMenuBar* pMenuBar = DYNAMIC_DOWNCAST(CXTPMenuBar, m_pParent);
    if (pMenuBar == NULL)
        return;
    HWND hWndChild = pMenuBar->GetActiveMdiChild(NULL);
    if (hWndChild == NULL)
        return;
    UINT nCommand = m_nId == XTP_ID_MENUBAR_CLOSE ? SC_CLOSE
                                                   : (m_nId == XTP_ID_MENUBAR_RESTORE ? SC_RESTORE : SC_MINIMIZE);
    ::PostMessage(hWndChild, WM_SYSCOMMAND, nCommand, 0);
}

//////////////////////////////////////////////////////////////////////////
// CXTPMenuBar

CXTPMenuBar::CXTPMenuBar()
    : m_bMdiApp(FALSE)
    , m_hWndActiveChild(NULL)
    , m_hMenu(NULL)
    , m_nIDResource(0)
    , m_nIDResourceCurrent(0)
    , m_pMDIMenus(NULL)
    , m_bDirtyMenu(FALSE)
    , m_hWndMDIClient(NULL)
{
    m_barType = xtpBarTypeMenuBar;
    m_nBarID = 1;
    m_dwFlags = 0x5F;
    m_bShowExpandButton = FALSE;
    m_bCloseable = FALSE;
    m_pMDIMenus = new CXTPMenuBarMDIMenus(this);
    EnableAutomation();
}

CXTPMenuBar::~CXTPMenuBar()
{
    XTPHookManager()->RemoveHookAbleFromAll(this);
    if (m_pMDIMenus != NULL)
        m_pMDIMenus->InternalRelease();
    if (m_hMenu != NULL && ::IsMenu(m_hMenu))
        ::DestroyMenu(m_hMenu);
}

BOOL CXTPMenuBar::LoadMenuBar(UINT nIDResource)
{
    if (nIDResource != 0)
    {
        CMenu menu;
        if (!XTPResourceManager()->LoadMenu(&menu, nIDResource))
        {
            TRACE("CXTPMenuBar::LoadMenuBar: menu %u is missing\n", nIDResource);
            return FALSE;
        }
        if (!LoadMenu(&menu, TRUE))
            return FALSE;
        m_nIDResource = nIDResource;
        m_nIDResourceCurrent = nIDResource;
    }

    CWnd* pSite = GetSite();
    m_bMdiApp = pSite != NULL && pSite->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd));
    if (pSite != NULL && pSite->GetSafeHwnd() != NULL)
        XTPHookManager()->SetHook(pSite->GetSafeHwnd(), this);
    if (m_bMdiApp)
    {
        m_hWndMDIClient = ((CMDIFrameWnd*)pSite)->m_hWndMDIClient;
        if (m_hWndMDIClient != NULL)
            XTPHookManager()->SetHook(m_hWndMDIClient, this);
    }

    if (GetCommandBars() != NULL)
    {
        static const UINT s_commands[4] = { SC_RESTORE, SC_MINIMIZE, SC_MAXIMIZE, SC_CLOSE };
        if (!GetImageManager()->SetIcons(XTP_IDR_MENUBAR_MDIBUTTONS, s_commands, 4, CSize(16, 16)))
            TRACE("CXTPMenuBar::LoadMenuBar: the window-button images are missing\n");
    }

    if (pSite != NULL && pSite->GetSafeHwnd() != NULL)
    {
        HMENU hMenu = ::GetMenu(pSite->GetSafeHwnd());
        if (hMenu != NULL)
        {
            if (m_hMenu != NULL && m_hMenu != hMenu && ::IsMenu(m_hMenu))
                ::DestroyMenu(m_hMenu);
            m_hMenu = hMenu;
        }
        ::SetMenu(pSite->GetSafeHwnd(), NULL);
        CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, pSite);
        if (pFrame != NULL && pFrame->m_hMenuDefault == m_hMenu)
            pFrame->m_hMenuDefault = NULL;
    }
    return TRUE;
}

void CXTPMenuBar::RefreshMenu()
{
    if (m_hWnd != NULL)
        PostMessage(WM_TIMER, XTP_TID_REFRESHMDIBUTTONS);
}

int CXTPMenuBar::OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult)
{
    if (hWnd == NULL)
        return CXTPToolBar::OnHookMessage(hWnd, nMessage, wParam, lParam, lResult);

    CXTPCommandBars* pCommandBars = GetCommandBars();
    switch (nMessage)
    {
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_KEYMENU && lParam == 0 && IsVisible() && XTPMouseManager()->GetLockCount() <= 0 &&
            ::GetKeyState(VK_SHIFT) >= 0 && !IsCustomizeMode())
        {
            // Alt pressed and released alone: the keyboard goes to the menu
            // bar. A menu already open (Alt with a letter opened it) stays as
            // it is when the Alt key comes up.
            if (XTPMouseManager()->GetTrackArray().GetSize() == 0 && !PreviewSysKey(VK_MENU))
            {
                if (pCommandBars != NULL)
                    pCommandBars->SetTrackingBar(this);
                else
                    SetTrackingMode(1, TRUE, TRUE);
            }
            lResult = 0;
            return hookHandled;
        }
        break;

    case WM_SIZE:
    case WM_WINDOWPOSCHANGED:
        if (hWnd == m_hWndActiveChild)
            RefreshMenu();
        break;

    case WM_MDICREATE:
    case WM_MDIDESTROY:
    case WM_MDIACTIVATE:
        RefreshMenu();
        break;

    case WM_MDISETMENU:
    {
        CWnd* pSite = GetSite();
        HWND hWndSite = pSite != NULL ? pSite->GetSafeHwnd() : NULL;
        if (IsVisible())
        {
            if (!IsCustomizeMode() && (m_dwFlags & xtpFlagIgnoreSetMenuMessage) == 0)
                SwitchToFrameMenu(wParam != 0 ? (HMENU)wParam : m_hMenu);
            if (hWndSite != NULL)
                ::SetMenu(hWndSite, NULL);
            if (!IsCustomizeMode())
                RefreshMenu();
            wParam = 0;
            lResult = 0;
            return hookHandled;
        }
        if (hWndSite != NULL && ::GetMenu(hWndSite) == NULL)
        {
            wParam = 0;
            lResult = 0;
            return hookHandled;
        }
        break;
    }

    default:
        break;
    }
    return hookContinue;
}

void CXTPMenuBar::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != XTP_TID_REFRESHMDIBUTTONS)
    {
        CXTPToolBar::OnTimer(nIDEvent);
        return;
    }
    HWND hWndChild = GetActiveMdiChild(NULL);
    if (hWndChild != m_hWndActiveChild)
    {
        if (m_hWndActiveChild != NULL && ::IsWindow(m_hWndActiveChild))
            XTPHookManager()->RemoveHook(m_hWndActiveChild, this);
        m_hWndActiveChild = hWndChild;
        if (hWndChild != NULL)
            XTPHookManager()->SetHook(hWndChild, this);
    }
    if (IsVisible())
        UpdateMDIButtons();
}

HWND CXTPMenuBar::GetActiveMdiChild(BOOL* pbMaximized) const
{
    if (pbMaximized != NULL)
        *pbMaximized = FALSE;
    if (!m_bMdiApp || m_hWndMDIClient == NULL || !::IsWindow(m_hWndMDIClient))
        return NULL;
    BOOL bMaximized = FALSE;
    HWND hWndChild = (HWND)::SendMessage(m_hWndMDIClient, WM_MDIGETACTIVE, 0, (LPARAM)&bMaximized);
    if (pbMaximized != NULL)
        *pbMaximized = bMaximized;
    return hWndChild;
}

void CXTPMenuBar::RemoveControlById(int nId)
{
    CXTPControl* pControl = m_pControls->FindControl(nId);
    if (pControl != NULL)
        m_pControls->Remove(pControl);
}

void CXTPMenuBar::AddMDIButton(int nId, LPCTSTR lpszGlyph)
{
    if (m_pControls->FindControl(nId) != NULL)
        return;
    CControlMDIButton* pButton = new CControlMDIButton();
    m_pControls->Add(pButton, nId, lpszGlyph, -1, TRUE);
    pButton->SetFlags(pButton->GetFlags() | 0x1B);
}

void CXTPMenuBar::UpdateMDIButtons()
{
    BOOL bMaximized = FALSE;
    HWND hWndChild = GetActiveMdiChild(&bMaximized);
    DWORD dwStyle = hWndChild != NULL ? (DWORD)::GetWindowLong(hWndChild, GWL_STYLE) : 0;
    if (hWndChild == NULL)
        bMaximized = FALSE;
    int nCountBefore = GetControlCount();

    CControlMDISysMenuPopup* pSysMenu =
        DYNAMIC_DOWNCAST(CControlMDISysMenuPopup, m_pControls->FindControl(XTP_ID_MENUBAR_SYSMENU));
    HMENU hSysMenu = (bMaximized && (m_dwFlags & xtpFlagAddMDISysPopup)) ? ::GetSystemMenu(hWndChild, FALSE) : NULL;
    if (hSysMenu != NULL && ::IsMenu(hSysMenu))
    {
        if (pSysMenu != NULL)
        {
            if (pSysMenu->m_hDocMenu != hSysMenu)
            {
                pSysMenu->SetMDISysMenu(hWndChild, hSysMenu);
                DelayLayout();
            }
        }
        else
        {
            pSysMenu = new CControlMDISysMenuPopup(hWndChild, hSysMenu);
            m_pControls->Add(pSysMenu, XTP_ID_MENUBAR_SYSMENU, NULL, 0, TRUE);
        }
    }
    else if (pSysMenu != NULL)
    {
        m_pControls->Remove(pSysMenu);
    }

    if (bMaximized && (dwStyle & WS_MINIMIZEBOX) && !(m_dwFlags & xtpFlagHideMinimizeBox))
        AddMDIButton(XTP_ID_MENUBAR_MINIMIZE, _T("0"));
    else
        RemoveControlById(XTP_ID_MENUBAR_MINIMIZE);
    if (bMaximized && (dwStyle & WS_MAXIMIZEBOX) && !(m_dwFlags & xtpFlagHideMaximizeBox))
        AddMDIButton(XTP_ID_MENUBAR_RESTORE, _T("2"));
    else
        RemoveControlById(XTP_ID_MENUBAR_RESTORE);
    if (bMaximized && !(m_dwFlags & xtpFlagHideClose))
        AddMDIButton(XTP_ID_MENUBAR_CLOSE, _T("r"));
    else
        RemoveControlById(XTP_ID_MENUBAR_CLOSE);

    if (nCountBefore != GetControlCount() || IsLayoutPending())
        OnRecalcLayout();
}

void CXTPMenuBar::SwitchToFrameMenu(HMENU hMenu)
{
    UINT nIDMenu = 0;
    if (hMenu == m_hMenu)
        nIDMenu = m_nIDResource;
    else if (GetCommandBars() != NULL)
        nIDMenu = GetCommandBars()->GetActiveDocTemplate();
    if (nIDMenu != 0 && m_nIDResourceCurrent != 0 && nIDMenu != m_nIDResourceCurrent && hMenu != NULL &&
        ::GetMenuItemCount(hMenu) > 0)
        SwitchMDIMenu(nIDMenu, CMenu::FromHandle(hMenu));
}

void CXTPMenuBar::SwitchMDIMenu(UINT nIDMenu, CMenu* pMenu)
{
    if (nIDMenu == 0 || m_nIDResourceCurrent == 0 || nIDMenu == m_nIDResourceCurrent)
        return;
    CXTPCommandBars* pCommandBars = GetCommandBars();
    CXTPMenuBarMDIMenuInfo* pStored = m_pMDIMenus->Lookup(nIDMenu);

    if ((pCommandBars == NULL || !pCommandBars->IsCustomizable()) && pStored == NULL)
    {
        if (pMenu != NULL)
            LoadMenu(pMenu, TRUE);
    }
    else if (pMenu != NULL || pStored != NULL)
    {
        // Keep the current set under its id.
        if (m_pMDIMenus->Lookup(m_nIDResourceCurrent) == NULL)
        {
            CXTPMenuBarMDIMenuInfo* pCurrent = new CXTPMenuBarMDIMenuInfo(pCommandBars, m_nIDResourceCurrent);
            pCurrent->m_pControls->InternalRelease();
            pCurrent->m_pControls = m_pControls;
            m_pControls->InternalAddRef();
            m_pMDIMenus->SetAt(m_nIDResourceCurrent, pCurrent);
        }
        if (pStored != NULL)
        {
            if (pStored->m_pControls->GetOriginalControls() == NULL && pMenu != NULL)
            {
                CXTPControls* pOriginal = new CXTPControls();
                pOriginal->SetCommandBars(pCommandBars);
                pOriginal->LoadMenu(pMenu);
                pStored->m_pControls->SetOriginalControls(pOriginal);
            }
            pStored->InternalAddRef();
            SetControls(pStored->m_pControls);
            if (nIDMenu == m_nIDResource)
                m_pMDIMenus->Remove(nIDMenu);
            pStored->InternalRelease();
        }
        else
        {
            CXTPMenuBarMDIMenuInfo* pInfo = new CXTPMenuBarMDIMenuInfo(pCommandBars, nIDMenu);
            SetControls(pInfo->m_pControls);
            m_pControls->LoadMenu(pMenu);
            m_pControls->CreateOriginalControls();
            m_pMDIMenus->SetAt(nIDMenu, pInfo);
        }
    }
    DelayLayout();
    OnRecalcLayout();
    m_nIDResourceCurrent = nIDMenu;
}

void CXTPMenuBar::RestoreDefaultMenu()
{
    if (m_pMDIMenus->GetCount() == 0)
        return;
    SwitchMDIMenu(m_nIDResource, NULL);
    m_bDirtyMenu = TRUE;
}

void CXTPMenuBar::AfterSave()
{
    if (!m_bDirtyMenu)
        return;
    CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, GetSite());
    if (pFrame != NULL && pFrame->GetSafeHwnd() != NULL)
        pFrame->OnUpdateFrameMenu(NULL);
    m_bDirtyMenu = FALSE;
}

BOOL CXTPMenuBar::IsChanged() const
{
    CXTPMenuBar* pThis = const_cast<CXTPMenuBar*>(this);
    pThis->RestoreDefaultMenu();

    BOOL bSetChanged = FALSE;
    POSITION pos = m_pMDIMenus->GetStartPosition();
    while (pos != NULL)
    {
        UINT nId;
        CXTPMenuBarMDIMenuInfo* pInfo;
        m_pMDIMenus->GetNextMenu(pos, nId, pInfo);
        pInfo->m_bChanged = pInfo->m_pControls->GetOriginalControls() == NULL || pInfo->m_pControls->IsChanged();
        if (pInfo->m_bChanged)
            bSetChanged = TRUE;
    }
    if (!IsCustomizable())
        return FALSE;
    return bSetChanged || m_pControls->GetOriginalControls() == NULL || m_pControls->IsChanged();
}

void CXTPMenuBar::ResetToolBar(BOOL bShowWarningMessage)
{
    if (m_pControls->GetOriginalControls() == NULL)
    {
        if (bShowWarningMessage && !ConfirmReset())
            return;
        CMenu menu;
        if (m_nIDResourceCurrent != 0 && XTPResourceManager()->LoadMenu(&menu, m_nIDResourceCurrent))
            LoadMenu(&menu, TRUE);
        CWnd* pSite = GetSite();
        if (pSite != NULL && pSite->GetSafeHwnd() != NULL)
            pSite->SendMessage(WM_XTP_TOOLBARRESET, (WPARAM)this);
    }
    else
    {
        CXTPToolBar::ResetToolBar(bShowWarningMessage);
    }
    UpdateMDIButtons();
    OnIdleUpdate();
    DelayLayout();
    OnRecalcLayout();
}

void CXTPMenuBar::Copy(CXTPCommandBar* pCommandBar, BOOL bRecursive)
{
    CXTPToolBar::Copy(pCommandBar, bRecursive);
    CXTPMenuBar* pMenuBar = DYNAMIC_DOWNCAST(CXTPMenuBar, pCommandBar);
    if (pMenuBar == NULL)
        return;
    m_nIDResource = pMenuBar->m_nIDResource;
    POSITION pos = pMenuBar->m_pMDIMenus->GetStartPosition();
    while (pos != NULL)
    {
        UINT nId;
        CXTPMenuBarMDIMenuInfo* pInfo;
        pMenuBar->m_pMDIMenus->GetNextMenu(pos, nId, pInfo);
        pInfo->InternalAddRef();
        m_pMDIMenus->SetAt(nId, pInfo);
    }
}

CXTPCommandBar* CXTPMenuBar::Clone(BOOL bRecursive)
{
    CXTPMenuBar* pMenuBar = new CXTPMenuBar();
    pMenuBar->Copy(this, bRecursive);
    return pMenuBar;
}
