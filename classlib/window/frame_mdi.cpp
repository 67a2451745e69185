// Multiple-document frames: the MDI frame with its MDI client, the child
// frames that hold one document window each, and the template that makes a
// document, its child frame and its view.
#include "wndimpl.h"

namespace
{
// The MDI client lists the children in the Window menu from this id on.
const UINT kFirstMDIChild = AFX_IDM_FIRST_MDICHILD;

// TRUE when the popup holds one of the Window menu's own commands.
BOOL IsWindowPopup(HMENU hPopup)
{
    int nCount = ::GetMenuItemCount(hPopup);
    for (int i = 0; i < nCount; i++)
    {
        UINT nID = ::GetMenuItemID(hPopup, i);
        if (nID >= ID_WINDOW_NEW && nID <= ID_WINDOW_SPLIT)
            return TRUE;
    }
    return FALSE;
}
} // namespace

/////////////////////////////////////////////////////////////////////////////
// CMDIFrameWnd

IMPLEMENT_DYNCREATE(CMDIFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMDIFrameWnd, CFrameWnd)
    ON_WM_SIZE()
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_UPDATE_COMMAND_UI(ID_WINDOW_ARRANGE, OnUpdateMDIWindowCmd)
    ON_UPDATE_COMMAND_UI(ID_WINDOW_CASCADE, OnUpdateMDIWindowCmd)
    ON_UPDATE_COMMAND_UI(ID_WINDOW_TILE_HORZ, OnUpdateMDIWindowCmd)
    ON_UPDATE_COMMAND_UI(ID_WINDOW_TILE_VERT, OnUpdateMDIWindowCmd)
    ON_UPDATE_COMMAND_UI(ID_WINDOW_NEW, OnUpdateMDIWindowCmd)
    ON_COMMAND_EX(ID_WINDOW_ARRANGE, OnMDIWindowCmd)
    ON_COMMAND_EX(ID_WINDOW_CASCADE, OnMDIWindowCmd)
    ON_COMMAND_EX(ID_WINDOW_TILE_HORZ, OnMDIWindowCmd)
    ON_COMMAND_EX(ID_WINDOW_TILE_VERT, OnMDIWindowCmd)
    ON_COMMAND(ID_WINDOW_NEW, OnWindowNew)
END_MESSAGE_MAP()

CMDIFrameWnd::CMDIFrameWnd() : m_hWndMDIClient(NULL)
{
}

CMDIFrameWnd::~CMDIFrameWnd()
{
}

BOOL CMDIFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    if (!CFrameWnd::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext))
        return FALSE;
    // The menu shown while no child is active.
    m_hMenuDefault = ::GetMenu(m_hWnd);
    return TRUE;
}

HMENU CMDIFrameWnd::GetWindowMenuPopup(HMENU hMenuBar)
{
    if (hMenuBar == NULL || !::IsMenu(hMenuBar))
        return NULL;
    int nCount = ::GetMenuItemCount(hMenuBar);
    for (int i = nCount - 1; i >= 0; i--)
    {
        HMENU hPopup = ::GetSubMenu(hMenuBar, i);
        if (hPopup != NULL && IsWindowPopup(hPopup))
            return hPopup;
    }
    // No Window commands: the usual place, before Help.
    return nCount >= 2 ? ::GetSubMenu(hMenuBar, nCount - 2) : NULL;
}

BOOL CMDIFrameWnd::OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext)
{
    (void)pContext;
    CMenu* pWindowMenu = NULL;
    HMENU hWindowMenu = GetWindowMenuPopup(lpcs->hMenu);
    if (hWindowMenu != NULL)
        pWindowMenu = CMenu::FromHandle(hWindowMenu);
    return CreateClient(lpcs, pWindowMenu);
}

BOOL CMDIFrameWnd::CreateClient(LPCREATESTRUCT lpCreateStruct, CMenu* pWindowMenu)
{
    (void)lpCreateStruct;
    CLIENTCREATESTRUCT ccs;
    ccs.hWindowMenu = pWindowMenu->GetSafeHmenu();
    ccs.idFirstChild = kFirstMDIChild;
    const DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_HSCROLL | WS_VSCROLL |
                          MDIS_ALLCHILDSTYLES;
    // Not through the creation hook: the client has no object of its own
    // (a tabbed client may subclass it later).
    m_hWndMDIClient = ::CreateWindowEx(WS_EX_CLIENTEDGE, "MDICLIENT", NULL, dwStyle, 0, 0, 0, 0, m_hWnd,
                                       (HMENU)(UINT_PTR)AFX_IDW_PANE_FIRST, AfxGetInstanceHandle(), &ccs);
    if (m_hWndMDIClient == NULL)
    {
        TRACE("CMDIFrameWnd::CreateClient: the MDI client could not be created (%lu)\n", ::GetLastError());
        return FALSE;
    }
    // Bars are laid out before the client: it takes the room they leave.
    ::SetWindowPos(m_hWndMDIClient, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return TRUE;
}

LRESULT CMDIFrameWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefFrameProc(m_hWnd, m_hWndMDIClient, message, wParam, lParam);
}

void CMDIFrameWnd::OnSize(UINT nType, int cx, int cy)
{
    (void)cx;
    (void)cy;
    // Not the default: it would size the client over the bars.
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}

CMDIChildWnd* CMDIFrameWnd::MDIGetActive(BOOL* pbMaximized) const
{
    BOOL bMaximized = FALSE;
    HWND hWnd = NULL;
    if (m_hWndMDIClient != NULL && ::IsWindow(m_hWndMDIClient))
        hWnd = (HWND)::SendMessage(m_hWndMDIClient, WM_MDIGETACTIVE, 0, (LPARAM)&bMaximized);
    CMDIChildWnd* pChild = hWnd != NULL ? DYNAMIC_DOWNCAST(CMDIChildWnd, CWnd::FromHandlePermanent(hWnd)) : NULL;
    if (pChild == NULL)
        bMaximized = FALSE;
    if (pbMaximized != NULL)
        *pbMaximized = bMaximized;
    return pChild;
}

void CMDIFrameWnd::MDIActivate(CWnd* pWndActivate)
{
    if (m_hWndMDIClient != NULL && pWndActivate != NULL)
        ::SendMessage(m_hWndMDIClient, WM_MDIACTIVATE, (WPARAM)pWndActivate->m_hWnd, 0);
}

void CMDIFrameWnd::MDIIconArrange()
{
    ::SendMessage(m_hWndMDIClient, WM_MDIICONARRANGE, 0, 0);
}

void CMDIFrameWnd::MDIMaximize(CWnd* pWnd)
{
    if (pWnd != NULL)
        ::SendMessage(m_hWndMDIClient, WM_MDIMAXIMIZE, (WPARAM)pWnd->m_hWnd, 0);
}

void CMDIFrameWnd::MDINext()
{
    ::SendMessage(m_hWndMDIClient, WM_MDINEXT, 0, 0);
}

void CMDIFrameWnd::MDIPrev()
{
    ::SendMessage(m_hWndMDIClient, WM_MDINEXT, 0, 1);
}

void CMDIFrameWnd::MDIRestore(CWnd* pWnd)
{
    if (pWnd != NULL)
        ::SendMessage(m_hWndMDIClient, WM_MDIRESTORE, (WPARAM)pWnd->m_hWnd, 0);
}

CMenu* CMDIFrameWnd::MDISetMenu(CMenu* pFrameMenu, CMenu* pWindowMenu)
{
    HMENU hOld = (HMENU)::SendMessage(m_hWndMDIClient, WM_MDISETMENU, (WPARAM)pFrameMenu->GetSafeHmenu(),
                                      (LPARAM)pWindowMenu->GetSafeHmenu());
    return hOld != NULL ? CMenu::FromHandle(hOld) : NULL;
}

void CMDIFrameWnd::MDITile()
{
    ::SendMessage(m_hWndMDIClient, WM_MDITILE, 0, 0);
}

void CMDIFrameWnd::MDITile(int nType)
{
    ::SendMessage(m_hWndMDIClient, WM_MDITILE, (WPARAM)nType, 0);
}

void CMDIFrameWnd::MDICascade()
{
    ::SendMessage(m_hWndMDIClient, WM_MDICASCADE, 0, 0);
}

void CMDIFrameWnd::MDICascade(int nType)
{
    ::SendMessage(m_hWndMDIClient, WM_MDICASCADE, (WPARAM)nType, 0);
}

CMDIChildWnd* CMDIFrameWnd::CreateNewChild(CRuntimeClass* pClass, UINT nResource, HMENU hMenu, HACCEL hAccel)
{
    if (pClass == NULL || !pClass->IsDerivedFrom(RUNTIME_CLASS(CMDIChildWnd)))
        return NULL;
    CMDIChildWnd* pFrame = (CMDIChildWnd*)pClass->CreateObject();
    if (pFrame == NULL)
        return NULL;
    pFrame->SetHandles(hMenu, hAccel);
    // A child that fails to load deletes itself.
    if (!pFrame->LoadFrame(nResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, this, NULL))
        return NULL;
    pFrame->InitialUpdateFrame(NULL, TRUE);
    return pFrame;
}

CFrameWnd* CMDIFrameWnd::GetActiveFrame()
{
    // A print preview in the frame is the active view while it shows.
    if (m_lpfnCloseProc != NULL)
        return this;
    CMDIChildWnd* pActive = MDIGetActive();
    return pActive != NULL ? static_cast<CFrameWnd*>(pActive) : this;
}

BOOL CMDIFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    // The active child (its view and document) first, then the frame and the
    // application, then the MDI client's object (a tabbed client's own
    // commands). While a print preview shows, the children are out of the
    // way: the preview (the frame's active view) and the frame take them.
    CMDIChildWnd* pActive = m_lpfnCloseProc == NULL ? MDIGetActive() : NULL;
    if (pActive != NULL && pActive->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    if (CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    CWnd* pClient = m_hWndMDIClient != NULL ? CWnd::FromHandlePermanent(m_hWndMDIClient) : NULL;
    return pClient != NULL && pClient->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CMDIFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (CFrameWnd::OnCommand(wParam, lParam))
        return TRUE;
    // The Window menu's list of children and the system commands of a
    // maximised child (ids from 0xF000) belong to the default procedure.
    if (lParam == 0 && (LOWORD(wParam) & 0xF000) == 0xF000)
    {
        DefWindowProc(WM_COMMAND, wParam, lParam);
        return TRUE;
    }
    return FALSE;
}

HACCEL CMDIFrameWnd::GetDefaultAccelerator()
{
    // The active document type's keys, else the frame's; none while a
    // print preview shows.
    if (m_lpfnCloseProc != NULL)
        return NULL;
    CMDIChildWnd* pActive = MDIGetActive();
    if (pActive != NULL && pActive->m_hAccelShared != NULL)
        return pActive->m_hAccelShared;
    return CFrameWnd::GetDefaultAccelerator();
}

BOOL CMDIFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST)
        return FALSE;
    // A print preview in the frame: the children are hidden, so no key
    // switches or closes them, and no shortcut works.
    if (m_lpfnCloseProc != NULL)
        return FALSE;

    // Ctrl+F6 and Ctrl+Tab step through the children (with Shift backwards),
    // Ctrl+F4 closes the active one: only for keys of the frame's own windows
    // while it is enabled (a dialog or sheet it owns keeps Ctrl+Tab).
    const BOOL bOwnKey = IsWindowEnabled() && (pMsg->hwnd == m_hWnd || ::IsChild(m_hWnd, pMsg->hwnd));
    if (bOwnKey && m_hWndMDIClient != NULL && pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_TAB || pMsg->wParam == VK_F6) &&
        ::GetKeyState(VK_CONTROL) < 0 && ::GetKeyState(VK_MENU) >= 0 && MDIGetActive() != NULL)
    {
        ::SendMessage(m_hWndMDIClient, WM_MDINEXT, 0, ::GetKeyState(VK_SHIFT) < 0 ? 1 : 0);
        return TRUE;
    }
    if (bOwnKey && m_hWndMDIClient != NULL && ::TranslateMDISysAccel(m_hWndMDIClient, pMsg))
        return TRUE;
    HACCEL hAccel = GetDefaultAccelerator();
    return hAccel != NULL && ::TranslateAccelerator(m_hWnd, hAccel, pMsg);
}

void CMDIFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt)
{
    // The menu is off while a print preview shows: the change waits for the
    // preview to close.
    if (m_lpfnCloseProc != NULL)
    {
        m_nIdleFlags |= idleMenu;
        return;
    }
    CMDIChildWnd* pActive = MDIGetActive();
    if (pActive != NULL)
    {
        pActive->OnUpdateFrameMenu(TRUE, pActive, hMenuAlt);
        return;
    }
    if (hMenuAlt == NULL)
        hMenuAlt = m_hMenuDefault;
    // A menu bar that took the native menu over answers WM_MDISETMENU itself.
    ::SendMessage(m_hWndMDIClient, WM_MDISETMENU, (WPARAM)hMenuAlt, (LPARAM)GetWindowMenuPopup(hMenuAlt));
    if (::GetMenu(m_hWnd) != NULL)
        ::DrawMenuBar(m_hWnd);
}

void CMDIFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    if ((GetStyle() & FWS_ADDTOTITLE) == 0)
        return;
    // "Doc1 - Program" for the active, not maximised child; a maximised
    // child's title is added by the system ("Program - [Doc1]").
    CMDIChildWnd* pActive = MDIGetActive();
    CDocument* pDocument = pActive != NULL ? pActive->GetActiveDocument() : NULL;
    if (bAddToTitle && pActive != NULL && (pActive->GetStyle() & WS_MAXIMIZE) == 0 && pDocument != NULL)
    {
        int nWindow = m_nWindow;
        m_nWindow = pActive->m_nWindow;
        UpdateFrameTitleForDocument(pDocument->GetTitle());
        m_nWindow = nWindow;
    }
    else
    {
        UpdateFrameTitleForDocument(NULL);
    }
}

LRESULT CMDIFrameWnd::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam)
{
    // The menu of the active child's document type, then the frame's own
    // pending work; the active child's title and menu go with it.
    if ((m_nIdleFlags & idleMenu) && m_lpfnCloseProc == NULL)
    {
        m_nIdleFlags &= ~idleMenu;
        OnUpdateFrameMenu(m_hMenuAlt);
    }
    CMDIChildWnd* pActive = MDIGetActive();
    if (pActive != NULL && (pActive->m_nIdleFlags & (idleTitle | idleMenu)))
        m_nIdleFlags |= idleTitle;
    return CFrameWnd::OnIdleUpdateCmdUI(wParam, lParam);
}

void CMDIFrameWnd::OnUpdateMDIWindowCmd(CCmdUI* pCmdUI)
{
    // A client window of the program's own (a tabbed client that places the
    // children itself) may say whether the arrangement commands apply.
    if (pCmdUI->m_nID != ID_WINDOW_NEW && m_hWndMDIClient != NULL)
    {
        CWnd* pClient = CWnd::FromHandlePermanent(m_hWndMDIClient);
        if (pClient != NULL && pClient->OnCmdMsg(pCmdUI->m_nID, CN_UPDATE_COMMAND_UI, pCmdUI, NULL))
            return;
    }
    pCmdUI->Enable(MDIGetActive() != NULL);
}

BOOL CMDIFrameWnd::OnMDIWindowCmd(UINT nID)
{
    switch (nID)
    {
    case ID_WINDOW_ARRANGE:
        MDIIconArrange();
        return TRUE;
    case ID_WINDOW_CASCADE:
        MDICascade();
        return TRUE;
    case ID_WINDOW_TILE_HORZ:
        MDITile(MDITILE_HORIZONTAL);
        return TRUE;
    case ID_WINDOW_TILE_VERT:
        MDITile(MDITILE_VERTICAL);
        return TRUE;
    default:
        return FALSE;
    }
}

void CMDIFrameWnd::OnWindowNew()
{
    // Another window on the active document.
    CMDIChildWnd* pActive = MDIGetActive();
    CDocument* pDocument = pActive != NULL ? pActive->GetActiveDocument() : NULL;
    CDocTemplate* pTemplate = pDocument != NULL ? pDocument->GetDocTemplate() : NULL;
    if (pTemplate == NULL)
    {
        TRACE("CMDIFrameWnd::OnWindowNew: no active document\n");
        return;
    }
    CFrameWnd* pFrame = pTemplate->CreateNewFrame(pDocument, pActive);
    if (pFrame == NULL)
    {
        AfxMessageBox(AFX_IDP_FAILED_TO_CREATE_DOC);
        return;
    }
    pTemplate->InitialUpdateFrame(pFrame, pDocument);
}

/////////////////////////////////////////////////////////////////////////////
// CMDIChildWnd

IMPLEMENT_DYNCREATE(CMDIChildWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMDIChildWnd, CFrameWnd)
    ON_WM_CREATE()
    ON_WM_MDIACTIVATE()
    ON_WM_MOUSEACTIVATE()
    ON_WM_SIZE()
END_MESSAGE_MAP()

CMDIChildWnd::CMDIChildWnd() : m_hMenuShared(NULL), m_hAccelShared(NULL)
{
}

CMDIChildWnd::~CMDIChildWnd()
{
}

CMDIFrameWnd* CMDIChildWnd::GetMDIFrame()
{
    // Child -> MDI client -> frame.
    HWND hWndClient = m_hWnd != NULL ? ::GetParent(m_hWnd) : NULL;
    HWND hWndFrame = hWndClient != NULL ? ::GetParent(hWndClient) : NULL;
    return hWndFrame != NULL ? DYNAMIC_DOWNCAST(CMDIFrameWnd, CWnd::FromHandlePermanent(hWndFrame)) : NULL;
}

void CMDIChildWnd::SetHandles(HMENU hMenu, HACCEL hAccel)
{
    m_hMenuShared = hMenu;
    m_hAccelShared = hAccel;
}

BOOL CMDIChildWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == NULL)
    {
        AfxDeferRegisterClass(AFX_WNDFRAMEORVIEW_REG);
        cs.lpszClass = AFX_WNDFRAMEORVIEW_CLASS;
    }
    cs.style |= WS_CHILD;
    if (cs.style & FWS_ADDTOTITLE)
        cs.style |= FWS_PREFIXTITLE;
    cs.dwExStyle |= WS_EX_MDICHILD;
    return TRUE;
}

BOOL CMDIChildWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                          CMDIFrameWnd* pParentWnd, CCreateContext* pContext)
{
    if (pParentWnd == NULL)
    {
        CWnd* pMainWnd = AfxGetMainWnd();
        pParentWnd = DYNAMIC_DOWNCAST(CMDIFrameWnd, pMainWnd);
    }
    if (pParentWnd == NULL || pParentWnd->m_hWndMDIClient == NULL)
    {
        TRACE("CMDIChildWnd::Create: no MDI frame to hold the child\n");
        PostNcDestroy();   // the child deletes itself, as after a failed creation
        return FALSE;
    }

    // Hidden until ActivateFrame shows it; a maximised active child makes
    // the new one maximised too.
    BOOL bMaximized = FALSE;
    pParentWnd->MDIGetActive(&bMaximized);
    dwStyle &= ~WS_VISIBLE;
    if (bMaximized)
        dwStyle |= WS_MAXIMIZE;

    CREATESTRUCT cs;
    ZeroMemory(&cs, sizeof(cs));
    cs.style = (LONG)dwStyle;
    cs.dwExStyle = WS_EX_MDICHILD;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.hwndParent = pParentWnd->m_hWndMDIClient;
    cs.hInstance = AfxGetInstanceHandle();
    cs.x = rect.left;
    cs.y = rect.top;
    cs.cx = rect.right - rect.left;
    cs.cy = rect.bottom - rect.top;
    if (::EqualRect(&rect, &rectDefault))
        cs.x = cs.y = cs.cx = cs.cy = CW_USEDEFAULT;
    cs.lpCreateParams = (LPVOID)pContext;
    if (!PreCreateWindow(cs))
    {
        PostNcDestroy();
        return FALSE;
    }
    m_strTitle = lpszWindowName;

    MDICREATESTRUCT mcs;
    mcs.szClass = cs.lpszClass;
    mcs.szTitle = cs.lpszName;
    mcs.hOwner = cs.hInstance;
    mcs.x = cs.x;
    mcs.y = cs.y;
    mcs.cx = cs.cx;
    mcs.cy = cs.cy;
    mcs.style = (DWORD)cs.style & ~(WS_MAXIMIZE | WS_VISIBLE);
    mcs.lParam = (LPARAM)cs.lpCreateParams;

    // The client creates the window; the creation hook gives it this object.
    AfxHookWindowCreate(this);
    HWND hWnd = (HWND)::SendMessage(pParentWnd->m_hWndMDIClient, WM_MDICREATE, 0, (LPARAM)&mcs);
    if (!AfxUnhookWindowCreate())
        PostNcDestroy();   // never created: the object goes
    if (hWnd == NULL)
        return FALSE;

    // Shown and maximised the way the style asks (the client ignored it).
    if (cs.style & WS_MAXIMIZE)
        ::SendMessage(pParentWnd->m_hWndMDIClient, WM_MDIMAXIMIZE, (WPARAM)hWnd, 0);
    return TRUE;
}

BOOL CMDIChildWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    m_nIDHelp = nIDResource;
    CString strFullString, strTitle;
    if (strFullString.LoadString(nIDResource))
        AfxExtractSubString(strTitle, strFullString, 0);

    // The class shows the document type's icon when there is one.
    AfxDeferRegisterClass(AFX_WNDFRAMEORVIEW_REG);
    LPCTSTR lpszClass = NULL;
    HINSTANCE hInst = AfxFindResourceHandle(MAKEINTRESOURCE(nIDResource), RT_GROUP_ICON);
    HICON hIcon = ::LoadIcon(hInst, MAKEINTRESOURCE(nIDResource));
    if (hIcon != NULL)
        lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(NULL, IDC_ARROW), NULL, hIcon);

    // The document type's menu and keys, shared by its windows.
    if (pContext != NULL)
    {
        CMultiDocTemplate* pTemplate = DYNAMIC_DOWNCAST(CMultiDocTemplate, pContext->m_pNewDocTemplate);
        if (pTemplate != NULL)
            SetHandles(pTemplate->m_hMenuShared, pTemplate->m_hAccelTable);
    }

    CMDIFrameWnd* pMDIFrame = DYNAMIC_DOWNCAST(CMDIFrameWnd, pParentWnd);
    if (!Create(lpszClass, strTitle, dwDefaultStyle | WS_CHILD, rectDefault, pMDIFrame, pContext))
        return FALSE;   // deleted itself
    return TRUE;
}

int CMDIChildWnd::OnCreate(LPCREATESTRUCT lpcs)
{
    // The creation context travels in the MDI creation structure.
    CCreateContext* pContext = NULL;
    if (lpcs->lpCreateParams != NULL)
        pContext = (CCreateContext*)((MDICREATESTRUCT*)lpcs->lpCreateParams)->lParam;
    return OnCreateHelper(lpcs, pContext);
}

LRESULT CMDIChildWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefMDIChildProc(m_hWnd, message, wParam, lParam);
}

BOOL CMDIChildWnd::DestroyWindow()
{
    if (m_hWnd == NULL)
        return FALSE;
    // Through the client, which activates the next child.
    HWND hWndClient = ::GetParent(m_hWnd);
    if (hWndClient != NULL && (GetExStyle() & WS_EX_MDICHILD))
    {
        ::SendMessage(hWndClient, WM_MDIDESTROY, (WPARAM)m_hWnd, 0);
        return TRUE;
    }
    return CFrameWnd::DestroyWindow();
}

void CMDIChildWnd::MDIDestroy()
{
    DestroyWindow();
}

void CMDIChildWnd::MDIActivate()
{
    if (CMDIFrameWnd* pFrame = GetMDIFrame())
        pFrame->MDIActivate(this);
}

void CMDIChildWnd::MDIMaximize()
{
    if (CMDIFrameWnd* pFrame = GetMDIFrame())
        pFrame->MDIMaximize(this);
}

void CMDIChildWnd::MDIRestore()
{
    if (CMDIFrameWnd* pFrame = GetMDIFrame())
        pFrame->MDIRestore(this);
}

BOOL CMDIChildWnd::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    // The document type's keys carry commands to the MDI frame, which routes
    // them to this child first.
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST)
    {
        CMDIFrameWnd* pFrame = GetMDIFrame();
        if (pFrame != NULL && m_hAccelShared != NULL && pFrame->m_lpfnCloseProc == NULL &&
            pFrame->MDIGetActive() == this && ::TranslateAccelerator(pFrame->m_hWnd, m_hAccelShared, pMsg))
            return TRUE;
    }
    return FALSE;
}

void CMDIChildWnd::ActivateFrame(int nCmdShow)
{
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (pFrame == NULL)
    {
        CFrameWnd::ActivateFrame(nCmdShow);
        return;
    }
    BOOL bVisible = IsWindowVisible();
    if (nCmdShow == -1)
    {
        // The first time: maximised when the active child is.
        BOOL bMaximized = FALSE;
        CMDIChildWnd* pActive = pFrame->MDIGetActive(&bMaximized);
        if (!bVisible)
            nCmdShow = (bMaximized && pActive != this) || (GetStyle() & WS_MAXIMIZE) ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
        else if (IsIconic())
            nCmdShow = SW_RESTORE;
    }
    if (nCmdShow != -1 && nCmdShow != SW_HIDE)
    {
        if (nCmdShow == SW_SHOWMAXIMIZED || nCmdShow == SW_MAXIMIZE)
            pFrame->MDIMaximize(this);
        ShowWindow(nCmdShow == SW_SHOWMAXIMIZED ? SW_SHOW : nCmdShow);
    }
    else if (nCmdShow == SW_HIDE)
    {
        ShowWindow(SW_HIDE);
        return;
    }
    pFrame->MDIActivate(this);
    // The view gets the keyboard.
    if (pFrame->GetActiveFrame() == this && m_pViewActive != NULL && pFrame->IsWindowVisible() &&
        ::GetActiveWindow() == pFrame->m_hWnd)
        m_pViewActive->SetFocus();
    pFrame->DelayUpdateFrameTitle();
}

void CMDIChildWnd::OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd)
{
    (void)pDeactivateWnd;
    CMDIFrameWnd* pFrame = GetMDIFrame();
    // The active view hears of it.
    CView* pView = GetActiveView();
    if (pView != NULL)
    {
        if (bActivate)
            pView->OnActivateView(TRUE, pView, pView);
        else
            pView->OnActivateView(FALSE, pView, pView);
    }
    // The frame shows this child's menu while it is active, its own when no
    // child is left.
    if (bActivate || pActivateWnd == NULL)
        OnUpdateFrameMenu(bActivate, pActivateWnd, NULL);
    if (pFrame != NULL)
        pFrame->DelayUpdateFrameTitle();
}

int CMDIChildWnd::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message)
{
    // The default activates the child; the view keeps or takes the keyboard.
    return (int)Default();
}

void CMDIChildWnd::OnSize(UINT nType, int cx, int cy)
{
    // The default keeps the MDI client's idea of maximised children.
    Default();
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
    if (CMDIFrameWnd* pFrame = GetMDIFrame())
        pFrame->DelayUpdateFrameTitle();
}

void CMDIChildWnd::OnUpdateFrameMenu(HMENU hMenuAlt)
{
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (pFrame != NULL && pFrame->MDIGetActive() == this)
        OnUpdateFrameMenu(TRUE, this, hMenuAlt);
}

void CMDIChildWnd::OnUpdateFrameMenu(BOOL bActive, CWnd* pActivateWnd, HMENU hMenuAlt)
{
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (pFrame == NULL)
        return;
    if (pFrame->m_lpfnCloseProc != NULL)
    {
        // The frame shows a print preview without its menu: the menu of the
        // child active then is set when the preview closes.
        pFrame->m_nIdleFlags |= idleMenu;
        return;
    }
    if (hMenuAlt == NULL && bActive)
    {
        CDocument* pDoc = GetActiveDocument();
        if (pDoc != NULL)
            hMenuAlt = pDoc->GetDefaultMenu();
    }
    if (hMenuAlt == NULL && bActive)
        hMenuAlt = m_hMenuShared;
    if (!bActive && pActivateWnd == NULL)
    {
        // The last child goes: the frame's own menu.
        hMenuAlt = pFrame->m_hMenuDefault;
    }
    if (hMenuAlt == NULL && bActive)
        hMenuAlt = pFrame->m_hMenuDefault;
    ::SendMessage(pFrame->m_hWndMDIClient, WM_MDISETMENU, (WPARAM)hMenuAlt,
                  (LPARAM)pFrame->GetWindowMenuPopup(hMenuAlt));
    if (::GetMenu(pFrame->m_hWnd) != NULL)
        ::DrawMenuBar(pFrame->m_hWnd);
}

void CMDIChildWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    // The child shows its document's title ("Doc1", "Doc1:2"), the MDI frame
    // follows.
    CDocument* pDocument = GetActiveDocument();
    if (bAddToTitle && (GetStyle() & FWS_ADDTOTITLE) != 0 && pDocument != NULL)
    {
        CString strText = pDocument->GetTitle();
        if (m_nWindow > 0)
        {
            CString strWindow;
            strWindow.Format(":%d", m_nWindow);
            strText += strWindow;
        }
        AfxSetWindowText(m_hWnd, strText);
    }
    if (CMDIFrameWnd* pFrame = GetMDIFrame())
        pFrame->OnUpdateFrameTitle(bAddToTitle);
}

/////////////////////////////////////////////////////////////////////////////
// CMultiDocTemplate

IMPLEMENT_DYNAMIC(CMultiDocTemplate, CDocTemplate)

CMultiDocTemplate::CMultiDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                                     CRuntimeClass* pViewClass)
    : CDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass), m_hMenuShared(NULL), m_hAccelTable(NULL),
      m_nUntitledCount(0)
{
    // The base constructor's call does not reach this class's override.
    CMultiDocTemplate::LoadTemplate();
}

CMultiDocTemplate::~CMultiDocTemplate()
{
    // Documents still open are closed (which destroys their frames).
    while (!m_docList.IsEmpty())
    {
        CDocument* pDoc = (CDocument*)m_docList.GetHead();
        pDoc->OnCloseDocument();
        // A document that does not delete itself is at least unhooked.
        if (!m_docList.IsEmpty() && m_docList.GetHead() == pDoc)
            RemoveDocument(pDoc);
    }
    if (m_hMenuShared != NULL && ::IsMenu(m_hMenuShared))
        ::DestroyMenu(m_hMenuShared);
    m_hMenuShared = NULL;
    if (m_hAccelTable != NULL)
        ::DestroyAcceleratorTable(m_hAccelTable);
    m_hAccelTable = NULL;
}

void CMultiDocTemplate::LoadTemplate()
{
    CDocTemplate::LoadTemplate();
    if (m_nIDResource == 0)
        return;
    HINSTANCE hInst = AfxFindResourceHandle(MAKEINTRESOURCE(m_nIDResource), RT_MENU);
    if (m_hMenuShared == NULL)
        m_hMenuShared = ::LoadMenu(hInst, MAKEINTRESOURCE(m_nIDResource));
    if (m_hAccelTable == NULL)
        m_hAccelTable = ::LoadAccelerators(hInst, MAKEINTRESOURCE(m_nIDResource));
}

void CMultiDocTemplate::AddDocument(CDocument* pDoc)
{
    CDocTemplate::AddDocument(pDoc);
    if (m_docList.Find(pDoc) == NULL)
        m_docList.AddTail(pDoc);
}

void CMultiDocTemplate::RemoveDocument(CDocument* pDoc)
{
    CDocTemplate::RemoveDocument(pDoc);
    POSITION pos = m_docList.Find(pDoc);
    if (pos != NULL)
        m_docList.RemoveAt(pos);
}

POSITION CMultiDocTemplate::GetFirstDocPosition() const
{
    return m_docList.GetHeadPosition();
}

CDocument* CMultiDocTemplate::GetNextDoc(POSITION& rPos) const
{
    return (CDocument*)m_docList.GetNext(rPos);
}

void CMultiDocTemplate::SetDefaultTitle(CDocument* pDocument)
{
    // "Name1", "Name2"... by the document type's name.
    CString strDocName;
    if (GetDocString(strDocName, CDocTemplate::docName) && !strDocName.IsEmpty())
    {
        CString strNum;
        strNum.Format("%u", m_nUntitledCount + 1);
        strDocName += strNum;
    }
    else if (!strDocName.LoadString(AFX_IDS_UNTITLED))
    {
        strDocName = "Untitled";
    }
    pDocument->SetTitle(strDocName);
}

CDocument* CMultiDocTemplate::OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible)
{
    CDocument* pDocument = CreateNewDocument();
    if (pDocument == NULL)
    {
        AfxMessageBox(AFX_IDP_FAILED_TO_CREATE_DOC);
        return NULL;
    }

    // The frame (and its view); the document must not go if it fails.
    BOOL bAutoDelete = pDocument->m_bAutoDelete;
    pDocument->m_bAutoDelete = FALSE;
    CFrameWnd* pFrame = CreateNewFrame(pDocument, NULL);
    pDocument->m_bAutoDelete = bAutoDelete;
    if (pFrame == NULL)
    {
        AfxMessageBox(AFX_IDP_FAILED_TO_CREATE_DOC);
        RemoveDocument(pDocument);
        delete pDocument;
        return NULL;
    }

    if (lpszPathName == NULL)
    {
        SetDefaultTitle(pDocument);
        if (!bMakeVisible)
            pDocument->m_bEmbedded = TRUE;
        if (!pDocument->OnNewDocument())
        {
            TRACE("CMultiDocTemplate::OpenDocumentFile: OnNewDocument failed\n");
            pFrame->DestroyWindow();   // takes the document along
            return NULL;
        }
        m_nUntitledCount++;
    }
    else
    {
        CWaitCursor wait;
        if (!pDocument->OnOpenDocument(lpszPathName))
        {
            TRACE("CMultiDocTemplate::OpenDocumentFile: %s could not be opened\n", lpszPathName);
            pFrame->DestroyWindow();
            return NULL;
        }
        pDocument->SetPathName(lpszPathName);
    }

    InitialUpdateFrame(pFrame, pDocument, bMakeVisible);
    return pDocument;
}
