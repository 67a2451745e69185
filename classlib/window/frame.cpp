// CFrameWnd: the main window of a document program - its view, bars and
// layout, idle updates, title, prompts, command routing and activation.
#include "wndimpl.h"

#include <algorithm>
#include <vector>

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_CLOSE()
    ON_WM_SIZE()
    ON_WM_ERASEBKGND()
    ON_WM_SETFOCUS()
    ON_WM_ACTIVATE()
    ON_WM_NCACTIVATE()
    ON_WM_ENABLE()
    ON_WM_INITMENUPOPUP()
    ON_WM_MENUSELECT()
    ON_WM_ENTERIDLE()
    ON_WM_QUERYENDSESSION()
    ON_WM_ENDSESSION()
    ON_WM_DROPFILES()
    ON_WM_SYSCOMMAND()
    ON_MESSAGE(WM_SETMESSAGESTRING, OnSetMessageString)
    ON_MESSAGE(WM_POPMESSAGESTRING, OnPopMessageString)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_MESSAGE(WM_RECALCPARENT, OnRecalcParent)
    ON_MESSAGE(WM_ACTIVATETOPLEVEL, OnActivateTopLevel)
    ON_MESSAGE(WM_RAISEOWNEDWINDOWS, OnRaiseOwnedWindows)
    ON_UPDATE_COMMAND_UI(ID_VIEW_STATUS_BAR, OnUpdateControlBarMenu)
    ON_COMMAND_EX(ID_VIEW_STATUS_BAR, OnBarCheck)
    ON_UPDATE_COMMAND_UI(ID_VIEW_TOOLBAR, OnUpdateControlBarMenu)
    ON_COMMAND_EX(ID_VIEW_TOOLBAR, OnBarCheck)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_CAPS, OnUpdateKeyIndicator)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_NUM, OnUpdateKeyIndicator)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_SCRL, OnUpdateKeyIndicator)
    // Context help and tooltip texts (help.cpp).
    ON_MESSAGE(WM_COMMANDHELP, OnCommandHelp)
    ON_MESSAGE(WM_HELPHITTEST, OnHelpHitTest)
    ON_UPDATE_COMMAND_UI(ID_CONTEXT_HELP, OnUpdateContextHelp)
    ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTA, 0, 0xFFFF, OnToolTipText)
    ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTW, 0, 0xFFFF, OnToolTipText)
END_MESSAGE_MAP()

CFrameWnd::CFrameWnd()
    : m_nIdleFlags(0), m_hMenuDefault(NULL), m_hMenuAlt(NULL), m_hAccelTable(NULL), m_bAutoMenuEnable(TRUE),
      m_bHelpMode(FALSE), m_bInRecalcLayout(FALSE), m_rectBorder(0, 0, 0, 0), m_dwDockStyle(0), m_nWindow(-1),
      m_nIDHelp(0), m_nIDTracking(0), m_nIDLastMessage(0), m_pViewActive(NULL), m_cModalStack(0),
      m_phWndDisable(NULL), m_nModelessDisable(0), m_phWndModeless(NULL), m_bRaiseOwnedPosted(FALSE),
      m_bRaisingOwned(FALSE), m_nRaiseChecks(0), m_bFollowsScreenOrder(FALSE),
      m_bRaiseAfterShow(FALSE)
{
    AfxAddFrameWnd(this);
}

CFrameWnd::~CFrameWnd()
{
    AfxRemoveFrameWnd(this);
    delete[] m_phWndDisable;
    m_phWndDisable = NULL;
    delete[] m_phWndModeless;
    m_phWndModeless = NULL;
    CWinThread* pThread = AfxGetThread();
    if (pThread != NULL && pThread->m_pMainWnd == this)
        pThread->m_pMainWnd = NULL;
}

void CFrameWnd::PostNcDestroy()
{
    // Frames are allocated with new and go with their window.
    delete this;
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == NULL)
    {
        AfxDeferRegisterClass(AFX_WNDFRAMEORVIEW_REG);
        cs.lpszClass = AFX_WNDFRAMEORVIEW_CLASS;
    }
    // The document's name comes first in the caption.
    if (cs.style & FWS_ADDTOTITLE)
        cs.style |= FWS_PREFIXTITLE;
    return TRUE;
}

BOOL CFrameWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, LPCTSTR lpszMenuName, DWORD dwExStyle, CCreateContext* pContext)
{
    HMENU hMenu = NULL;
    if (lpszMenuName != NULL)
    {
        HINSTANCE hInst = AfxFindResourceHandle(lpszMenuName, RT_MENU);
        if ((hMenu = ::LoadMenu(hInst, lpszMenuName)) == NULL)
        {
            PostNcDestroy();   // the frame deletes itself
            return FALSE;
        }
    }

    m_strTitle = lpszWindowName;
    int x = rect.left, y = rect.top, cx = rect.right - rect.left, cy = rect.bottom - rect.top;
    if (::EqualRect(&rect, &rectDefault))
    {
        x = y = CW_USEDEFAULT;
        cx = cy = CW_USEDEFAULT;
    }
    HWND hWndParent = pParentWnd->GetSafeHwnd();
    if (!CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, x, y, cx, cy, hWndParent, hMenu,
                  (LPVOID)pContext))
    {
        // The frame is gone (PostNcDestroy); the menu too when the window
        // existed for a moment (its destruction took the menu along).
        if (hMenu != NULL && ::IsMenu(hMenu))
            ::DestroyMenu(hMenu);
        return FALSE;
    }
    return TRUE;
}

// A frame class that shows the resource's icon (the plain frame class when
// there is no such icon).
static LPCTSTR AfxGetIconWndClass(CFrameWnd* pFrame, DWORD dwDefaultStyle, UINT nIDResource)
{
    HINSTANCE hInst = AfxFindResourceHandle(MAKEINTRESOURCE(nIDResource), RT_GROUP_ICON);
    HICON hIcon = ::LoadIcon(hInst, MAKEINTRESOURCE(nIDResource));
    if (hIcon == NULL)
        return NULL;
    CREATESTRUCT cs;
    ZeroMemory(&cs, sizeof(cs));
    cs.style = (LONG)dwDefaultStyle;
    pFrame->PreCreateWindow(cs);
    if (cs.lpszClass == NULL)
        return NULL;
    WNDCLASS wndcls;
    if (!::GetClassInfo(AfxGetInstanceHandle(), cs.lpszClass, &wndcls) || wndcls.hIcon == hIcon)
        return cs.lpszClass;
    return AfxRegisterWndClass(wndcls.style, wndcls.hCursor, wndcls.hbrBackground, hIcon);
}

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    m_nIDHelp = nIDResource;
    CString strFullString;
    if (strFullString.LoadString(nIDResource))
        AfxExtractSubString(m_strTitle, strFullString, 0);   // the window title

    AfxDeferRegisterClass(AFX_WNDFRAMEORVIEW_REG);
    LPCTSTR lpszClass = NULL;
    try
    {
        lpszClass = AfxGetIconWndClass(this, dwDefaultStyle, nIDResource);
    }
    catch (CException* e)
    {
        e->Delete();
        lpszClass = NULL;
    }

    // No menu resource is not an error: the frame then has no menu.
    LPCTSTR lpszMenuName = MAKEINTRESOURCE(nIDResource);
    if (::FindResource(AfxFindResourceHandle(lpszMenuName, RT_MENU), lpszMenuName, RT_MENU) == NULL)
        lpszMenuName = NULL;

    CString strTitle = m_strTitle;
    if (!Create(lpszClass, strTitle, dwDefaultStyle, rectDefault, pParentWnd, lpszMenuName, 0L, pContext))
        return FALSE;   // the frame deleted itself

    m_hMenuDefault = ::GetMenu(m_hWnd);
    LoadAccelTable(MAKEINTRESOURCE(nIDResource));

    if (pContext == NULL)
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    return TRUE;
}

BOOL CFrameWnd::LoadAccelTable(LPCTSTR lpszResourceName)
{
    if (m_hAccelTable != NULL)
        return FALSE;   // only one table
    HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, RT_ACCELERATOR);
    m_hAccelTable = ::LoadAccelerators(hInst, lpszResourceName);
    return m_hAccelTable != NULL;
}

HACCEL CFrameWnd::GetDefaultAccelerator()
{
    // No shortcut works while a print preview shows.
    if (m_lpfnCloseProc != NULL)
        return NULL;
    HACCEL hAccel = m_hAccelTable;
    if (CDocument* pDoc = GetActiveDocument())
    {
        if (HACCEL hDocAccel = pDoc->GetDefaultAccelerator())
            hAccel = hDocAccel;
    }
    return hAccel;
}

int CFrameWnd::OnCreate(LPCREATESTRUCT lpcs)
{
    CCreateContext* pContext = (CCreateContext*)lpcs->lpCreateParams;
    return OnCreateHelper(lpcs, pContext);
}

int CFrameWnd::OnCreateHelper(LPCREATESTRUCT lpcs, CCreateContext* pContext)
{
    if (CWnd::OnCreate(lpcs) == -1)
        return -1;
    if (!OnCreateClient(lpcs, pContext))
        return -1;
    // The idle prompt once the frame is up; bars are laid out now.
    PostMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
    RecalcLayout();
    return 0;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext)
{
    (void)lpcs;
    if (pContext != NULL && pContext->m_pNewViewClass != NULL)
    {
        if (CreateView(pContext, AFX_IDW_PANE_FIRST) == NULL)
            return FALSE;
    }
    return TRUE;
}

CView* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID)
{
    if (pContext == NULL || pContext->m_pNewViewClass == NULL)
        return NULL;
    CObject* pObject = pContext->m_pNewViewClass->CreateObject();
    CWnd* pView = DYNAMIC_DOWNCAST(CWnd, pObject);
    if (pView == NULL)
    {
        delete pObject;
        return NULL;
    }
    // A view that fails to create deletes itself (PostNcDestroy).
    if (!pView->Create(NULL, NULL, AFX_WS_DEFAULT_VIEW, CRect(0, 0, 0, 0), this, nID, pContext))
        return NULL;
    return DYNAMIC_DOWNCAST(CView, pView);
}

void CFrameWnd::OnDestroy()
{
    // The menu bar may have taken the native menu over (m_hMenuDefault NULL):
    // nothing is restored then.
    if (m_hMenuDefault != NULL && ::GetMenu(m_hWnd) != m_hMenuDefault)
        ::SetMenu(m_hWnd, m_hMenuDefault);
    CWnd::OnDestroy();
}

void CFrameWnd::OnClose()
{
    // A print preview closes first; the frame stays.
    if (m_lpfnCloseProc != NULL && (*m_lpfnCloseProc)(this))
        return;

    // Only the active document is asked.
    CDocument* pDocument = GetActiveDocument();
    if (pDocument != NULL && !pDocument->CanCloseFrame(this))
        return;

    CWinApp* pApp = AfxGetApp();
    if (pApp != NULL && pApp->m_pMainWnd == this)
    {
        if (pDocument == NULL && !pApp->SaveAllModified())
            return;
        pApp->HideApplication();
        pApp->CloseAllDocuments(FALSE);
        // Closing the documents may have destroyed this window already.
        if (pApp->m_pMainWnd == NULL)
        {
            AfxPostQuitMessage(0);
            return;
        }
    }

    // The last frame of a document closes the document (which destroys it).
    if (pDocument != NULL && pDocument->m_bAutoDelete)
    {
        BOOL bOtherFrame = FALSE;
        for (POSITION pos = pDocument->GetFirstViewPosition(); pos != NULL;)
        {
            CView* pView = pDocument->GetNextView(pos);
            if (pView->GetParentFrame() != this)
            {
                bOtherFrame = TRUE;
                break;
            }
        }
        if (!bOtherFrame)
        {
            pDocument->OnCloseDocument();
            return;
        }
        pDocument->PreCloseFrame(this);
    }
    DestroyWindow();
}

BOOL CFrameWnd::OnQueryEndSession()
{
    CWinApp* pApp = AfxGetApp();
    if (pApp != NULL && pApp->m_pMainWnd == this)
        return pApp->SaveAllModified();
    return TRUE;
}

void CFrameWnd::OnEndSession(BOOL bEnding)
{
    if (!bEnding)
        return;
    CWinApp* pApp = AfxGetApp();
    if (pApp != NULL && pApp->m_pMainWnd == this)
    {
        pApp->CloseAllDocuments(TRUE);
        pApp->ExitInstance();
    }
}

void CFrameWnd::OnDropFiles(HDROP hDropInfo)
{
    SetActiveWindow();
    CWinApp* pApp = AfxGetApp();
    UINT nFiles = ::DragQueryFile(hDropInfo, (UINT)-1, NULL, 0);
    for (UINT iFile = 0; iFile < nFiles && pApp != NULL; iFile++)
    {
        char szFileName[_MAX_PATH];
        if (::DragQueryFile(hDropInfo, iFile, szFileName, _MAX_PATH) > 0)
            pApp->OpenDocumentFile(szFileName);
    }
    ::DragFinish(hDropInfo);
}

void CFrameWnd::OnSysCommand(UINT nID, LPARAM lParam)
{
    (void)lParam;
    // Minimised by the window manager: the system's minimise hides the
    // owned windows, each moved to the top of the order, and its restore
    // shows them in that order. They are hidden here first, keeping the
    // order the screen showed.
    if ((nID & 0xFFF0) == SC_MINIMIZE && (GetStyle() & WS_CHILD) == 0 && AfxWindowManagerStacksWindows())
        AfxHideOwnedPopupsInOrder(m_hWnd);
    Default();
}

BOOL CFrameWnd::OnEraseBkgnd(CDC* pDC)
{
    // The view covers the client area: only erase when there is none.
    if (m_pViewActive != NULL)
        return TRUE;
    return CWnd::OnEraseBkgnd(pDC);
}

void CFrameWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}

void CFrameWnd::OnSetFocus(CWnd* pOldWnd)
{
    if (m_pViewActive != NULL && m_pViewActive->m_hWnd != NULL)
        m_pViewActive->SetFocus();
    else
        CWnd::OnSetFocus(pOldWnd);
}

// Layout -----------------------------------------------------------------------

void CFrameWnd::RecalcLayout(BOOL bNotify)
{
    (void)bNotify;
    if (m_bInRecalcLayout)
        return;   // a bar's move asked for it again
    m_bInRecalcLayout = TRUE;
    m_nIdleFlags &= ~(idleLayout | idleNotify);
    try
    {
        RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposExtra, &m_rectBorder);
    }
    catch (...)
    {
        m_bInRecalcLayout = FALSE;
        throw;
    }
    m_bInRecalcLayout = FALSE;
}

void CFrameWnd::DelayRecalcLayout(BOOL bNotify)
{
    m_nIdleFlags |= (idleLayout | (bNotify ? idleNotify : 0));
}

LRESULT CFrameWnd::OnRecalcParent(WPARAM, LPARAM)
{
    RecalcLayout();
    return 0;
}

BOOL CFrameWnd::NegotiateBorderSpace(UINT nBorderCmd, LPRECT lpRectBorder)
{
    CRect border;
    CRect request;
    switch (nBorderCmd)
    {
    case borderGet:
        // The client area left by the bars.
        RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposQuery, lpRectBorder);
        return TRUE;
    case borderRequest:
        return TRUE;
    case borderSet:
        if (lpRectBorder == NULL)
            m_rectBorder.SetRectEmpty();
        else
            m_rectBorder = *lpRectBorder;
        RecalcLayout();
        return TRUE;
    default:
        return FALSE;
    }
}

LRESULT CFrameWnd::OnIdleUpdateCmdUI(WPARAM, LPARAM)
{
    if (m_nIdleFlags & idleMenu)
    {
        m_nIdleFlags &= ~idleMenu;
        OnUpdateFrameMenu(m_hMenuAlt);
    }
    if (m_nIdleFlags & idleTitle)
        OnUpdateFrameTitle(TRUE);
    if (m_nIdleFlags & idleLayout)
    {
        RecalcLayout((m_nIdleFlags & idleNotify) != 0);
        UpdateWindow();
    }
    // A prompt being tracked (menu selection) is shown now.
    if (m_nIDTracking != m_nIDLastMessage)
        SetMessageText(m_nIDTracking);
    m_nIdleFlags = 0;
    return 0;
}

// Active view and document ------------------------------------------------------

CFrameWnd* CFrameWnd::GetActiveFrame()
{
    return this;
}

CView* CFrameWnd::GetActiveView() const
{
    return m_pViewActive;
}

void CFrameWnd::SetActiveView(CView* pViewNew, BOOL bNotify)
{
    CView* pViewOld = m_pViewActive;
    if (pViewNew == pViewOld)
        return;
    m_pViewActive = NULL;   // none while the views are told
    if (pViewOld != NULL)
        pViewOld->OnActivateView(FALSE, pViewNew, pViewOld);
    m_pViewActive = pViewNew;
    if (pViewNew != NULL && bNotify)
        pViewNew->OnActivateView(TRUE, pViewNew, pViewOld);
}

CDocument* CFrameWnd::GetActiveDocument()
{
    CView* pView = GetActiveView();
    return pView != NULL ? pView->GetDocument() : NULL;
}

void CFrameWnd::InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible)
{
    // The first pane becomes the active view before anything is told.
    CView* pView = NULL;
    if (GetActiveView() == NULL)
    {
        CWnd* pWnd = GetDescendantWindow(AFX_IDW_PANE_FIRST, TRUE);
        if (pWnd != NULL && pWnd->IsKindOf(RUNTIME_CLASS(CView)))
        {
            pView = (CView*)pWnd;
            SetActiveView(pView, FALSE);
        }
    }

    if (bMakeVisible)
    {
        // Every view, bar and pane gets its initial update.
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
        if (pView != NULL)
            pView->OnActivateFrame(WA_INACTIVE, this);

        int nCmdShow = -1;
        CWinApp* pApp = AfxGetApp();
        if (pApp != NULL && pApp->m_pMainWnd == this)
        {
            nCmdShow = pApp->m_nCmdShow;   // the command line's show state, once
            pApp->m_nCmdShow = -1;
        }
        ActivateFrame(nCmdShow);
        if (pView != NULL)
            pView->OnActivateView(TRUE, pView, pView);
    }

    if (pDoc != NULL)
        pDoc->UpdateFrameCounts();
    OnUpdateFrameTitle(TRUE);
}

void CFrameWnd::ActivateFrame(int nCmdShow)
{
    if (nCmdShow == -1)
    {
        if (!IsWindowVisible())
            nCmdShow = SW_SHOWNORMAL;
        else if (IsIconic())
            nCmdShow = SW_RESTORE;
    }
    BringToTop(nCmdShow);
    if (nCmdShow != -1)
    {
        ShowWindow(nCmdShow);
        BringToTop(nCmdShow);
    }
}

void CFrameWnd::BringToTop(int nCmdShow)
{
    if (nCmdShow != SW_HIDE && nCmdShow != SW_MINIMIZE && nCmdShow != SW_SHOWMINNOACTIVE &&
        nCmdShow != SW_SHOWNA && nCmdShow != SW_SHOWNOACTIVATE)
    {
        CWnd* pWnd = GetLastActivePopup();
        if (pWnd != NULL)
            pWnd->BringWindowToTop();
    }
}

// Command routing: active view (then its document), frame, application.
BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    CView* pView = GetActiveView();
    if (pView != NULL && pView->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    CWinApp* pApp = AfxGetApp();
    if (pApp != NULL && pApp->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return FALSE;
}

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST)
    {
        HACCEL hAccel = GetDefaultAccelerator();
        return hAccel != NULL && ::TranslateAccelerator(m_hWnd, hAccel, pMsg);
    }
    return FALSE;
}

// Menus --------------------------------------------------------------------------

void CFrameWnd::OnInitMenuPopup(CMenu* pMenu, UINT nIndex, BOOL bSysMenu)
{
    (void)nIndex;
    if (bSysMenu || pMenu == NULL)
        return;
    HMENU hMenu = pMenu->GetSafeHmenu();

    CCmdUI state;
    state.m_pMenu = pMenu;
    state.m_nIndexMax = (UINT)::GetMenuItemCount(hMenu);
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; state.m_nIndex++)
    {
        state.m_nID = ::GetMenuItemID(hMenu, (int)state.m_nIndex);
        if (state.m_nID == 0)
            continue;   // separator
        if (state.m_nID == (UINT)-1)
        {
            // A popup: routed through its first item, never disabled for
            // lack of a handler.
            HMENU hSubMenu = ::GetSubMenu(hMenu, (int)state.m_nIndex);
            state.m_pSubMenu = CMenu::FromHandle(hSubMenu);
            if (hSubMenu == NULL || (state.m_nID = ::GetMenuItemID(hSubMenu, 0)) == 0 || state.m_nID == (UINT)-1)
                continue;
            state.DoUpdate(this, FALSE);
        }
        else
        {
            state.m_pSubMenu = NULL;
            state.DoUpdate(this, m_bAutoMenuEnable && state.m_nID < 0xF000);
        }

        // Handlers may add or remove items (the recent-file list does).
        UINT nCount = (UINT)::GetMenuItemCount(hMenu);
        if (nCount < state.m_nIndexMax)
        {
            state.m_nIndex -= (state.m_nIndexMax - nCount);
            while (state.m_nIndex < nCount && ::GetMenuItemID(hMenu, (int)state.m_nIndex) == state.m_nID)
                state.m_nIndex++;
        }
        state.m_nIndexMax = nCount;
    }
}

void CFrameWnd::OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu)
{
    (void)hSysMenu;
    CFrameWnd* pFrameWnd = GetTopLevelFrame();
    if (pFrameWnd == NULL)
        pFrameWnd = this;
    if (nFlags == 0xFFFF)
    {
        // The menu closed: back to the idle prompt at once.
        m_nFlags &= ~WF_NOPOPMSG;
        m_nIDTracking = AFX_IDS_IDLEMESSAGE;
        SendMessage(WM_SETMESSAGESTRING, (WPARAM)m_nIDTracking);
        if (CWnd* pBar = GetMessageBar())
            pBar->UpdateWindow();
    }
    else
    {
        if (nItemID == 0 || (nFlags & (MF_SEPARATOR | MF_POPUP)))
            m_nIDTracking = 0;
        else if (nItemID >= 0xF000 && nItemID < 0xF1F0)
            m_nIDTracking = AFX_IDS_SCFIRST + ((nItemID - 0xF000) >> 4);   // system commands
        else
            m_nIDTracking = nItemID;
        pFrameWnd->m_nFlags |= WF_NOPOPMSG;
    }
}

void CFrameWnd::OnEnterIdle(UINT nWhy, CWnd* pWho)
{
    (void)pWho;
    if (nWhy != MSGF_MENU || m_nIDTracking == m_nIDLastMessage)
        return;
    SetMessageText(m_nIDTracking);
}

void CFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt)
{
    if (hMenuAlt == NULL)
    {
        if (CDocument* pDoc = GetActiveDocument())
            hMenuAlt = pDoc->GetDefaultMenu();
        if (hMenuAlt == NULL)
            hMenuAlt = m_hMenuDefault;
    }
    if (::GetMenu(m_hWnd) != hMenuAlt)
        ::SetMenu(m_hWnd, hMenuAlt);
}

void CFrameWnd::DelayUpdateFrameMenu(HMENU hMenuAlt)
{
    m_hMenuAlt = hMenuAlt;
    m_nIdleFlags |= idleMenu;
}

// Title ----------------------------------------------------------------------------

void CFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    if ((GetStyle() & FWS_ADDTOTITLE) == 0)
        return;
    CDocument* pDocument = GetActiveDocument();
    if (bAddToTitle && pDocument != NULL)
        UpdateFrameTitleForDocument(pDocument->GetTitle());
    else
        UpdateFrameTitleForDocument(NULL);
}

void CFrameWnd::UpdateFrameTitleForDocument(LPCTSTR lpszDocName)
{
    CString strText;
    if (GetStyle() & FWS_PREFIXTITLE)
    {
        // "Untitled - Brindlemark"
        if (lpszDocName != NULL)
        {
            strText = lpszDocName;
            if (m_nWindow > 0)
            {
                CString strWindow;
                strWindow.Format(":%d", m_nWindow);
                strText += strWindow;
            }
            strText += " - ";
        }
        strText += m_strTitle;
    }
    else
    {
        strText = m_strTitle;
        if (lpszDocName != NULL)
        {
            strText += " - ";
            strText += lpszDocName;
            if (m_nWindow > 0)
            {
                CString strWindow;
                strWindow.Format(":%d", m_nWindow);
                strText += strWindow;
            }
        }
    }
    AfxSetWindowText(m_hWnd, strText);
}

// Prompts --------------------------------------------------------------------------

CWnd* CFrameWnd::GetMessageBar()
{
    return GetDescendantWindow(AFX_IDW_STATUS_BAR, TRUE);
}

void CFrameWnd::GetMessageString(UINT nID, CString& rMessage) const
{
    // The prompt is the text before the '\n' of the command's string.
    CString strFull;
    if (strFull.LoadString(nID))
        AfxExtractSubString(rMessage, strFull, 0);
    else
        rMessage.Empty();
}

LRESULT CFrameWnd::OnSetMessageString(WPARAM wParam, LPARAM lParam)
{
    UINT nIDLast = m_nIDLastMessage;
    m_nFlags &= ~WF_NOPOPMSG;

    CWnd* pMessageBar = GetMessageBar();
    if (pMessageBar != NULL)
    {
        CString strMessage;
        LPCTSTR lpsz = NULL;
        if (lParam != 0)
        {
            lpsz = (LPCTSTR)lParam;
        }
        else if (wParam != 0)
        {
            GetMessageString((UINT)wParam, strMessage);
            lpsz = strMessage;
        }
        // Pane 0 of the status bar.
        pMessageBar->SetWindowText(lpsz != NULL ? lpsz : "");

        CFrameWnd* pFrameWnd = pMessageBar->GetParentFrame();
        if (pFrameWnd != NULL && pFrameWnd != this)
        {
            pFrameWnd->m_nIDLastMessage = (UINT)wParam;
            pFrameWnd->m_nIDTracking = (UINT)wParam;
        }
    }
    m_nIDLastMessage = (UINT)wParam;
    m_nIDTracking = (UINT)wParam;
    return (LRESULT)nIDLast;
}

LRESULT CFrameWnd::OnPopMessageString(WPARAM wParam, LPARAM lParam)
{
    if (m_nFlags & WF_NOPOPMSG)
        return 0;
    return SendMessage(WM_SETMESSAGESTRING, wParam, lParam);
}

void CFrameWnd::SetMessageText(LPCTSTR lpszText)
{
    SendMessage(WM_SETMESSAGESTRING, 0, (LPARAM)lpszText);
}

void CFrameWnd::SetMessageText(UINT nID)
{
    SendMessage(WM_SETMESSAGESTRING, (WPARAM)nID);
}

void CFrameWnd::OnUpdateKeyIndicator(CCmdUI* pCmdUI)
{
    UINT nVK;
    switch (pCmdUI->m_nID)
    {
    case ID_INDICATOR_CAPS:
        nVK = VK_CAPITAL;
        break;
    case ID_INDICATOR_NUM:
        nVK = VK_NUMLOCK;
        break;
    case ID_INDICATOR_SCRL:
        nVK = VK_SCROLL;
        break;
    default:
        pCmdUI->ContinueRouting();
        return;
    }
    // The pane is enabled (shown) while its lock key is on.
    pCmdUI->Enable(::GetKeyState((int)nVK) & 1);
}

// Control bars ------------------------------------------------------------------------

void CFrameWnd::AddControlBar(CControlBar* pBar)
{
    if (pBar != NULL && m_listControlBars.Find(pBar) == NULL)
        m_listControlBars.AddTail(pBar);
}

void CFrameWnd::RemoveControlBar(CControlBar* pBar)
{
    POSITION pos = m_listControlBars.Find(pBar);
    if (pos != NULL)
        m_listControlBars.RemoveAt(pos);
}

CControlBar* CFrameWnd::GetControlBar(UINT nID)
{
    if (nID == 0)
        return NULL;
    for (POSITION pos = m_listControlBars.GetHeadPosition(); pos != NULL;)
    {
        CControlBar* pBar = (CControlBar*)m_listControlBars.GetNext(pos);
        if (pBar->m_hWnd != NULL && AfxGetDlgCtrlID(pBar->m_hWnd) == nID)
            return pBar;
    }
    return NULL;
}

void CFrameWnd::ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay)
{
    if (pBar == NULL || pBar->m_hWnd == NULL)
        return;
    CFrameWnd* pParentFrame = pBar->GetDockingFrame();
    if (pParentFrame == NULL)
        pParentFrame = this;
    if (bDelay)
    {
        pBar->DelayShow(bShow);
        pParentFrame->DelayRecalcLayout();
    }
    else
    {
        pBar->SetWindowPos(NULL, 0, 0, 0, 0,
                           SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE |
                               (bShow ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
        pBar->DelayShow(bShow);   // clears a contradicting delayed request
        pParentFrame->RecalcLayout();
    }
}

BOOL CFrameWnd::OnBarCheck(UINT nID)
{
    CControlBar* pBar = GetControlBar(nID);
    if (pBar != NULL)
    {
        ShowControlBar(pBar, (pBar->GetStyle() & WS_VISIBLE) == 0, FALSE);
        return TRUE;
    }
    return FALSE;
}

void CFrameWnd::OnUpdateControlBarMenu(CCmdUI* pCmdUI)
{
    CControlBar* pBar = GetControlBar(pCmdUI->m_nID);
    if (pBar != NULL)
    {
        pCmdUI->SetCheck((pBar->GetStyle() & WS_VISIBLE) != 0);
        return;
    }
    pCmdUI->ContinueRouting();
}

// Activation and floating windows ----------------------------------------------------

namespace
{
// The top-level windows that hWndOwner owns, directly or through other
// windows it owns, from the top of the system's order down (bVisible: the
// visible ones of this thread only; bWithOwner: the owner too, in its
// place). A snapshot, so that the caller may move windows in the order
// while it goes through them.
std::vector<HWND> OwnedTopLevels(HWND hWndOwner, BOOL bVisible, BOOL bWithOwner = FALSE)
{
    std::vector<HWND> owned;
    const DWORD dwThread = ::GetCurrentThreadId();
    for (HWND hWnd : AfxGetTopLevelWindows())
    {
        if (hWnd == hWndOwner)
        {
            if (bWithOwner)
                owned.push_back(hWnd);
            continue;
        }
        if (!AfxIsDescendant(hWndOwner, hWnd))
            continue;
        if (bVisible && (!::IsWindowVisible(hWnd) || ::GetWindowThreadProcessId(hWnd, NULL) != dwThread))
            continue;
        owned.push_back(hWnd);
    }
    return owned;
}
} // namespace

void CFrameWnd::NotifyFloatingWindows(DWORD dwFlags)
{
    CFrameWnd* pParent = (GetStyle() & WS_CHILD) ? this : GetTopLevelFrame();
    if (pParent == NULL)
        pParent = this;
    // Deactivated, the frame may have been lowered by the window manager
    // (which tells nothing of it): its order is read a moment later.
    if (dwFlags & FS_DEACTIVATE)
        AfxNoteStackingMayHaveChanged(pParent->m_hWnd);
    if (dwFlags & (FS_DEACTIVATE | FS_ACTIVATE))
    {
        BOOL bActivate = !(dwFlags & FS_DEACTIVATE);
        BOOL bEnabled = pParent->IsWindowEnabled();
        if (bActivate && bEnabled && pParent != this)
        {
            m_nFlags |= WF_KEEPMINIACTIVE;
            pParent->SendMessage(WM_NCACTIVATE, TRUE);
            m_nFlags &= ~WF_KEEPMINIACTIVE;
        }
        else
        {
            pParent->SendMessage(WM_NCACTIVATE, FALSE);
        }
    }

    // Every top-level window owned by the frame hears about it. The windows
    // are taken first: a window that answers by moving itself in the order
    // would otherwise send the walk back to windows already told, for ever.
    // Enabled or disabled, each has Wine write its owner mark again: they
    // are told in the order that keeps the screen's (AfxOrderForOwnerMarks).
    std::vector<HWND> owned = OwnedTopLevels(pParent->m_hWnd, FALSE);
    if (dwFlags & (FS_ENABLE | FS_DISABLE))
        owned = AfxOrderForOwnerMarks(pParent->m_hWnd, owned);
    for (HWND hWnd : owned)
    {
        if (::IsWindow(hWnd))
            ::SendMessage(hWnd, WM_FLOATSTATUS, dwFlags, 0);
    }
}

void CFrameWnd::KeepOwnedWindowsInFront()
{
    // Only where nothing else keeps them in front (see screenorder.cpp).
    if (!AfxOwnedWindowsRestacked())
        return;
    if (m_hWnd == NULL || m_bRaisingOwned || (GetStyle() & WS_CHILD) != 0)
        return;
    // The checks that follow the raise start again.
    m_nRaiseChecks = kRaiseChecks;
    if (m_bRaiseOwnedPosted)
        return;
    // Posted: the system restacks an activated window after its WM_ACTIVATE,
    // and a raise made before that would be undone.
    m_bRaiseOwnedPosted = ::PostMessage(m_hWnd, WM_RAISEOWNEDWINDOWS, 0, 0);
}

LRESULT CFrameWnd::OnRaiseOwnedWindows(WPARAM, LPARAM)
{
    m_bRaiseOwnedPosted = FALSE;
    if (AfxWindowManagerStacksWindows())
    {
        // The window manager keeps the windows marked transient for the
        // frame above it and raises them with it: the marks are written
        // again (a window may have been mapped before the frame, or given
        // its owner after it was mapped). A raise is asked for only once
        // after the frame was shown, over which the windows mapped before
        // it are left; every other raise would reorder what the player
        // stacked or come over another program brought up meanwhile.
        m_nRaiseChecks = 0;
        AfxRenewOwnerMarks(m_hWnd);
        if (m_bRaiseAfterShow && RaiseOwnedWindows() > 0)
            m_bRaiseAfterShow = FALSE;
        return 0;
    }
    RaiseOwnedWindows();
    // Without a window manager the display can still bring the activated
    // frame or a window just mapped to the top a little later, and tells
    // the frame nothing: for a few ticks after the raise the order is
    // checked and, where the frame lies above a window it owns, the raise
    // is made again.
    if (m_nRaiseChecks > 0)
        ::SetTimer(m_hWnd, kRaiseCheckTimer, kRaiseCheckMilliseconds, &CFrameWnd::RaiseCheckTimerProc);
    return 0;
}

void CALLBACK CFrameWnd::RaiseCheckTimerProc(HWND hWnd, UINT, UINT_PTR nIDEvent, DWORD)
{
    // A timer procedure: nothing may leave it.
    try
    {
        CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, CWnd::FromHandlePermanent(hWnd));
        if (pFrame == NULL || pFrame->m_nRaiseChecks <= 0)
        {
            ::KillTimer(hWnd, nIDEvent);
            return;
        }
        if (--pFrame->m_nRaiseChecks == 0)
            ::KillTimer(hWnd, nIDEvent);
        // A window of the family mapped with the focus is raised by the
        // display once its mapping is reported, over any topmost window,
        // and the system's order does not show it: at the first check the
        // family is restacked again while a topmost window that is not the
        // family's shows.
        AfxRestoreRestackedOrder();
        const bool bFirstCheck = pFrame->m_nRaiseChecks == kRaiseChecks - 1;
        if (pFrame->IsOwnedWindowBehind() || (bFirstCheck && AfxIsOtherTopmostWindowVisible(hWnd)))
            pFrame->RaiseOwnedWindows();
    }
    catch (CException* e)
    {
        TRACE("raising the owned windows failed");
        e->Delete();
    }
    catch (...)
    {
        TRACE("raising the owned windows failed");
    }
}

BOOL CFrameWnd::IsOwnedWindowBehind() const
{
    if (m_hWnd == NULL)
        return FALSE;
    // From the top of the order down: a visible owned window met after the
    // frame lies behind it.
    BOOL bBelowFrame = FALSE;
    for (HWND hWnd : OwnedTopLevels(m_hWnd, TRUE, TRUE))
    {
        if (hWnd == m_hWnd)
            bBelowFrame = TRUE;
        else if (bBelowFrame && (::GetWindowLongPtr(hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST) == 0)
            return TRUE;
    }
    return FALSE;
}

int CFrameWnd::RaiseOwnedWindows(BOOL bActiveWindow)
{
    if (m_hWnd == NULL || m_bRaisingOwned || (GetStyle() & WS_CHILD) != 0 || !IsWindowVisible() || IsIconic())
        return 0;
    std::vector<HWND> owned = OwnedTopLevels(m_hWnd, TRUE);
    if (owned.empty())
        return 0;
    // Only while the game is in front: never over another program's window.
    // The display's news is read first (a peek hands the waiting display
    // events to the system): with a window manager another program
    // activated; without one, while another program's topmost window shows,
    // the raise the display makes of a window mapped with the focus, which
    // must come before the restack, not after it.
    if (AfxWindowManagerStacksWindows() || AfxIsOtherTopmostWindowVisible(m_hWnd))
    {
        m_bRaisingOwned = TRUE;
        MSG msg;
        ::PeekMessage(&msg, NULL, 0, 0, PM_NOREMOVE | PM_NOYIELD);
        m_bRaisingOwned = FALSE;
        if (m_hWnd == NULL || !IsWindowVisible() || IsIconic())
            return 0;
    }
    if (AfxRestoreRestackedOrder())
        owned = OwnedTopLevels(m_hWnd, TRUE);
    HWND hWndForeground = bActiveWindow ? ::GetActiveWindow() : ::GetForegroundWindow();
    if (hWndForeground != m_hWnd && std::find(owned.begin(), owned.end(), hWndForeground) == owned.end())
        return 0;

    // Visible, top first: the screen shows them so, above the frame,
    // whatever put the frame over them (its order among them is what the
    // system's order says, so dialogs stay above floating windows). The
    // family's topmost popups (tips, menus) are stacked with it and stay
    // above the others: left out, the window that owns a tip would lie
    // below a topmost window of the program's own and never come first.
    std::vector<HWND> above;
    for (HWND hWnd : owned)
        if (::IsWindow(hWnd) && ::IsWindowVisible(hWnd))
            above.push_back(hWnd);
    m_bRaisingOwned = TRUE;
    int nRaised = AfxRestackOnScreen(above.data(), (int)above.size());
    m_bRaisingOwned = FALSE;
    return nRaised;
}

namespace
{
// The flag the system adds to a move that minimises, maximises or restores.
const UINT kStateChanged = 0x8000;

} // namespace

LRESULT CFrameWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // A top-level frame follows what stacks its family on the screen for as
    // long as it lives, where it restacks them itself.
    if (message == WM_NCDESTROY && m_bFollowsScreenOrder)
    {
        m_bFollowsScreenOrder = FALSE;
        AfxFollowScreenOrder(FALSE);
    }
    LRESULT lResult = CWnd::WindowProc(message, wParam, lParam);
    if (message == WM_CREATE && lResult != -1 && !m_bFollowsScreenOrder && m_hWnd != NULL &&
        (GetStyle() & WS_CHILD) == 0 && ::GetWindow(m_hWnd, GW_OWNER) == NULL && AfxOwnedWindowsRestacked())
    {
        m_bFollowsScreenOrder = TRUE;
        AfxFollowScreenOrder(TRUE);
    }
    // The frame's place in the order changed: the windows it owns come
    // back in front of it.
    switch (message)
    {
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && HIWORD(wParam) == 0)
            KeepOwnedWindowsInFront();
        break;
    case WM_WINDOWPOSCHANGED:
    {
        const WINDOWPOS* pPos = (const WINDOWPOS*)lParam;
        if (pPos != NULL && (pPos->flags & SWP_SHOWWINDOW) != 0 && AfxWindowManagerStacksWindows())
            m_bRaiseAfterShow = TRUE;
        if (pPos != NULL && ((pPos->flags & SWP_NOZORDER) == 0 || (pPos->flags & SWP_SHOWWINDOW) != 0))
            KeepOwnedWindowsInFront();
        // Minimised or restored: the windows the frame owns hide and show
        // with it. Wine does that only for the system menu's (and the window
        // manager's) Minimize and Restore, not when a program calls
        // ShowWindow on the frame; only windows hidden so come back.
        if (pPos != NULL && (pPos->flags & kStateChanged) != 0 && AfxOwnedWindowsRestacked() &&
            (GetStyle() & WS_CHILD) == 0)
        {
            // With a window manager, each window shown again is mapped over
            // the others: they are shown again bottom up in the order they
            // had when hidden, and put back in it should any come elsewhere.
            if (!IsIconic() && AfxWindowManagerStacksWindows())
                AfxKeepOwnedOrder(m_hWnd);
            if (IsIconic() && AfxWindowManagerStacksWindows())
                AfxHideOwnedPopupsInOrder(m_hWnd);
            else if (!IsIconic() && AfxWindowManagerStacksWindows())
                AfxShowOwnedPopupsInOrder(m_hWnd);
            else
                ::ShowOwnedPopups(m_hWnd, !IsIconic());
        }
        break;
    }
    case WM_ENABLE:
        if (wParam)
            KeepOwnedWindowsInFront();
        break;
    }
    return lResult;
}

void CFrameWnd::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    CWnd::OnActivate(nState, pWndOther, bMinimized);

    // The caption stays active while the window taking activation belongs to
    // this frame and answers FS_SYNCACTIVE (floating bars, open menus).
    CFrameWnd* pTopLevel = (GetStyle() & WS_CHILD) ? this : GetTopLevelFrame();
    if (pTopLevel == NULL)
        pTopLevel = this;
    HWND hWndActive = (nState == WA_INACTIVE) ? pWndOther->GetSafeHwnd() : m_hWnd;
    BOOL bStayActive = FALSE;
    if (hWndActive != NULL)
    {
        if (hWndActive == pTopLevel->m_hWnd)
            bStayActive = TRUE;
        else if (AfxIsDescendant(pTopLevel->m_hWnd, hWndActive) &&
                 ::SendMessage(hWndActive, WM_FLOATSTATUS, FS_SYNCACTIVE, 0) != 0)
            bStayActive = TRUE;
    }
    pTopLevel->m_nFlags &= ~WF_STAYACTIVE;
    if (bStayActive)
        pTopLevel->m_nFlags |= WF_STAYACTIVE;

    NotifyFloatingWindows(bStayActive ? FS_ACTIVATE : FS_DEACTIVATE);

    CView* pActiveView = GetActiveView();
    if (pActiveView != NULL)
    {
        if (nState != WA_INACTIVE && !bMinimized)
            pActiveView->OnActivateView(TRUE, pActiveView, pActiveView);
        pActiveView->OnActivateFrame(nState, this);
    }
}

BOOL CFrameWnd::OnNcActivate(BOOL bActive)
{
    if (m_nFlags & WF_STAYACTIVE)
        bActive = TRUE;
    if (!IsWindowEnabled())
        bActive = FALSE;
    // The base would pass the original value on: call the default directly.
    return (BOOL)DefWindowProc(WM_NCACTIVATE, bActive, 0L);
}

void CFrameWnd::OnEnable(BOOL bEnable)
{
    CWnd::OnEnable(bEnable);
    NotifyFloatingWindows(bEnable ? FS_ENABLE : FS_DISABLE);
}

LRESULT CFrameWnd::OnActivateTopLevel(WPARAM, LPARAM)
{
    return 0;
}

// Modal state ------------------------------------------------------------------------

void CFrameWnd::BeginModalState()
{
    if (m_cModalStack++ > 0)
        return;
    CWnd* pParent = GetTopLevelParent();
    HWND hWndParent = pParent != NULL ? pParent->m_hWnd : m_hWnd;

    // Disable every enabled window of ours in the frame's family.
    std::vector<HWND> disabled;
    for (HWND hWnd : AfxGetTopLevelWindows())
    {
        if (::IsWindowEnabled(hWnd) && CWnd::FromHandlePermanent(hWnd) != NULL && AfxIsDescendant(hWndParent, hWnd) &&
            ::SendMessage(hWnd, WM_DISABLEMODAL, 0, 0) == 0)
            disabled.push_back(hWnd);
    }
    delete[] m_phWndDisable;
    m_phWndDisable = new HWND[disabled.size() + 1];
    for (size_t i = 0; i < disabled.size(); ++i)
    {
        m_phWndDisable[i] = disabled[i];
        ::EnableWindow(disabled[i], FALSE);
    }
    m_phWndDisable[disabled.size()] = NULL;
}

void CFrameWnd::EndModalState()
{
    if (m_cModalStack == 0 || --m_cModalStack > 0 || m_phWndDisable == NULL)
        return;
    for (HWND* phWnd = m_phWndDisable; *phWnd != NULL; ++phWnd)
    {
        if (::IsWindow(*phWnd))
            ::EnableWindow(*phWnd, TRUE);
    }
    delete[] m_phWndDisable;
    m_phWndDisable = NULL;
}

void CFrameWnd::EnableModeless(BOOL bEnable)
{
    if (!bEnable)
    {
        if (m_nModelessDisable++ > 0)
            return;
        CWnd* pParent = GetTopLevelParent();
        HWND hWndParent = pParent != NULL ? pParent->m_hWnd : m_hWnd;

        // Only dialogs owned by the frame: its floating bars keep working
        // (they take drops while the Customize sheet is open).
        std::vector<HWND> disabled;
        for (HWND hWnd : AfxGetTopLevelWindows())
        {
            char szClass[16] = "";
            if (hWnd == hWndParent || !::IsWindowEnabled(hWnd) || !AfxIsDescendant(hWndParent, hWnd) ||
                ::GetClassNameA(hWnd, szClass, (int)sizeof(szClass)) == 0 || lstrcmpA(szClass, "#32770") != 0)
                continue;
            if (::SendMessage(hWnd, WM_DISABLEMODAL, 0, 0) != 0)
                continue;
            disabled.push_back(hWnd);
        }
        delete[] m_phWndModeless;
        m_phWndModeless = new HWND[disabled.size() + 1];
        for (size_t i = 0; i < disabled.size(); ++i)
        {
            m_phWndModeless[i] = disabled[i];
            ::EnableWindow(disabled[i], FALSE);
        }
        m_phWndModeless[disabled.size()] = NULL;
        return;
    }

    if (m_nModelessDisable == 0 || --m_nModelessDisable > 0 || m_phWndModeless == NULL)
        return;
    for (HWND* phWnd = m_phWndModeless; *phWnd != NULL; ++phWnd)
    {
        if (::IsWindow(*phWnd))
            ::EnableWindow(*phWnd, TRUE);
    }
    delete[] m_phWndModeless;
    m_phWndModeless = NULL;
}

/////////////////////////////////////////////////////////////////////////////
// CMiniFrameWnd

IMPLEMENT_DYNCREATE(CMiniFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMiniFrameWnd, CFrameWnd)
    ON_WM_CLOSE()
    ON_MESSAGE(WM_FLOATSTATUS, OnFloatStatus)
    ON_WM_SYSCOMMAND()   // miniframe.cpp
END_MESSAGE_MAP()

CMiniFrameWnd::CMiniFrameWnd()
{
}

CMiniFrameWnd::~CMiniFrameWnd()
{
}

BOOL CMiniFrameWnd::Create(LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle, const RECT& rect,
                           CWnd* pParentWnd, UINT nID)
{
    return CMiniFrameWnd::CreateEx(0, lpClassName, lpWindowName, dwStyle, rect, pParentWnd, nID);
}

BOOL CMiniFrameWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle,
                             const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    m_strCaption = lpWindowName;
    m_strTitle = lpWindowName;
    if (lpClassName == NULL)
        lpClassName = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(NULL, IDC_ARROW));
    // A child mini frame has an id; a pop-up one has none (its "menu").
    HMENU hMenu = (dwStyle & WS_CHILD) ? (HMENU)(UINT_PTR)nID : NULL;
    return CWnd::CreateEx(dwExStyle, lpClassName, lpWindowName, dwStyle, rect.left, rect.top,
                          rect.right - rect.left, rect.bottom - rect.top, pParentWnd->GetSafeHwnd(), hMenu, NULL);
}

BOOL CMiniFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == NULL)
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(NULL, IDC_ARROW));
    // Tool windows: no task-bar button, small caption.
    if (!(cs.style & WS_CHILD))
        cs.dwExStyle |= WS_EX_TOOLWINDOW;
    return TRUE;
}

void CMiniFrameWnd::RecalcLayout(BOOL bNotify)
{
    CFrameWnd::RecalcLayout(bNotify);
}

void CMiniFrameWnd::OnClose()
{
    DestroyWindow();
}

LRESULT CMiniFrameWnd::OnFloatStatus(WPARAM wParam, LPARAM)
{
    LRESULT lResult = 0;
    if ((GetStyle() & MFS_SYNCACTIVE) && (wParam & FS_SYNCACTIVE))
        lResult = 1;
    if (wParam & (FS_SHOW | FS_HIDE))
        SetWindowPos(NULL, 0, 0, 0, 0,
                     ((wParam & FS_SHOW) ? SWP_SHOWWINDOW : SWP_HIDEWINDOW) | SWP_NOZORDER | SWP_NOMOVE |
                         SWP_NOSIZE | SWP_NOACTIVATE);
    if (wParam & (FS_ENABLE | FS_DISABLE))
        EnableWindow((wParam & FS_ENABLE) != 0);
    if ((wParam & (FS_ACTIVATE | FS_DEACTIVATE)) && (GetStyle() & MFS_SYNCACTIVE))
    {
        // Draw the caption the way the owner's is drawn.
        ModifyStyle(MFS_SYNCACTIVE, 0);
        SendMessage(WM_NCACTIVATE, (wParam & FS_ACTIVATE) != 0);
        ModifyStyle(0, MFS_SYNCACTIVE);
    }
    return lResult;
}
