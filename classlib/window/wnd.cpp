// CWnd core: the per-thread state and handle map, the creation hook, the
// layer's window procedure with its exception barrier, dispatch through the
// message maps, command routing and reflection, and the modal loop.
#include "wndimpl.h"

#include <afxclip.h>

#include <exception>

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

const CWnd CWnd::wndTop(HWND_TOP);
const CWnd CWnd::wndBottom(HWND_BOTTOM);
const CWnd CWnd::wndTopMost(HWND_TOPMOST);
const CWnd CWnd::wndNoTopMost(HWND_NOTOPMOST);

// Set while a window object is mapped to its handle.
static const UINT WF_MAPPED = 0x80000000u;

/////////////////////////////////////////////////////////////////////////////
// Thread state

AFX_THREAD_STATE* AFXAPI AfxGetThreadState()
{
    // Made on first use and kept for the thread's life (objects destroyed late
    // may still consult it).
    static thread_local AFX_THREAD_STATE* s_pState = nullptr;
    if (s_pState == nullptr)
    {
        s_pState = new AFX_THREAD_STATE;
        ZeroMemory(&s_pState->m_lastSentMsg, sizeof(MSG));
        s_pState->m_pWndInit = NULL;
        s_pState->m_hWndInitParent = NULL;
        s_pState->m_hHookOldCbtFilter = NULL;
        s_pState->m_pThread = NULL;
        s_pState->m_hLockoutNotifyWindow = NULL;
        s_pState->m_nMsgDepth = 0;
        s_pState->m_ptCursorLast.x = s_pState->m_ptCursorLast.y = -1;
        s_pState->m_nMsgLast = 0;
    }
    return s_pState;
}

int AFXAPI AfxGetMessageDepth()
{
    return AfxGetThreadState()->m_nMsgDepth;
}

void AFXAPI AfxAddFrameWnd(CFrameWnd* pFrame)
{
    AfxGetThreadState()->m_frameList.push_back(pFrame);
}

void AFXAPI AfxRemoveFrameWnd(CFrameWnd* pFrame)
{
    std::vector<CFrameWnd*>& list = AfxGetThreadState()->m_frameList;
    for (size_t i = 0; i < list.size(); ++i)
    {
        if (list[i] == pFrame)
        {
            list.erase(list.begin() + (ptrdiff_t)i);
            return;
        }
    }
}

/////////////////////////////////////////////////////////////////////////////
// Handle map

CWnd* CWndHandleTraits::CreateTemp(HWND h)
{
    CWnd* pWnd = new CWnd;
    pWnd->m_hWnd = h;
    return pWnd;
}

void CWndHandleTraits::DetachTemp(CWnd* p)
{
    p->m_hWnd = NULL;
}

CWnd* PASCAL CWnd::FromHandle(HWND hWnd)
{
    if (hWnd == NULL)
        return NULL;
    return CWndHandleMap::GetThreadMap()->FromHandle(hWnd);
}

CWnd* PASCAL CWnd::FromHandlePermanent(HWND hWnd)
{
    if (hWnd == NULL)
        return NULL;
    return CWndHandleMap::GetThreadMap()->LookupPermanent(hWnd);
}

void PASCAL CWnd::DeleteTempMap()
{
    CWndHandleMap::GetThreadMap()->DeleteTemp();
}

/////////////////////////////////////////////////////////////////////////////
// Exception barrier

static AFX_EXCEPTION_REPORT_HOOK g_pfnExceptionReportHook = NULL;

AFX_EXCEPTION_REPORT_HOOK AFXAPI AfxSetExceptionReportHook(AFX_EXCEPTION_REPORT_HOOK pfnHook)
{
    AFX_EXCEPTION_REPORT_HOOK pfnOld = g_pfnExceptionReportHook;
    g_pfnExceptionReportHook = pfnHook;
    return pfnOld;
}

CString AFXAPI AfxExceptionText(CException* e)
{
    CString strText;
    if (e != NULL)
    {
        char szMessage[512] = "";
        if (e->GetErrorMessage(szMessage, sizeof(szMessage), NULL))
            strText = szMessage;
    }
    if (strText.IsEmpty() && !strText.LoadString(AFX_IDP_INTERNAL_FAILURE))
        strText = "An unexpected error occurred.";
    return strText;
}

void AFXAPI AfxReportCallbackException(LPCTSTR lpszWhere, CException* pException, const MSG* pMsg)
{
    try
    {
        CString strText = AfxExceptionText(pException);
        if (lpszWhere != NULL && *lpszWhere != '\0')
            strText = CString(lpszWhere) + ": " + strText;
        if (g_pfnExceptionReportHook != NULL)
            g_pfnExceptionReportHook(strText, pException, pMsg);
        else
            AfxMessageBox(strText, MB_ICONEXCLAMATION);
    }
    catch (CException* e)
    {
        TRACE_EXCEPTION("Reporting a failure", e);
        e->Delete();
    }
    catch (...)
    {
        TRACE_EXCEPTION("Reporting a failure", NULL);
    }
}

LRESULT AFXAPI AfxHandleWndProcException(CException* e, LPCTSTR lpszDescription, const MSG* pMsg)
{
    LRESULT lResult = 0;
    try
    {
        CWinThread* pThread = AfxGetThread();
        if (pThread != NULL && e != NULL && lpszDescription == NULL)
        {
            lResult = pThread->ProcessWndProcException(e, pMsg);
        }
        else
        {
            AfxReportCallbackException(lpszDescription, e, pMsg);
            if (pMsg != NULL && pMsg->message == WM_CREATE)
                lResult = -1;
            else if (pMsg != NULL && pMsg->message == WM_PAINT && pMsg->hwnd != NULL)
                ::ValidateRect(pMsg->hwnd, NULL);   // no endless repaint of a failing window
        }
    }
    catch (CException* e2)
    {
        TRACE_EXCEPTION("Reporting a window procedure's failure", e2);
        e2->Delete();
    }
    catch (...)
    {
        TRACE_EXCEPTION("Reporting a window procedure's failure", NULL);
    }
    return lResult;
}

/////////////////////////////////////////////////////////////////////////////
// The window procedure

LRESULT AFXAPI AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    MSG oldState = pState->m_lastSentMsg;
    pState->m_lastSentMsg.hwnd = hWnd;
    pState->m_lastSentMsg.message = nMsg;
    pState->m_lastSentMsg.wParam = wParam;
    pState->m_lastSentMsg.lParam = lParam;
    ++pState->m_nMsgDepth;

    LRESULT lResult = 0;
    try
    {
        // A mouse button pressed on a window of the library: with a window
        // manager, which raises the window pressed on, the system's order
        // follows (screenorder.cpp).
        const bool bPress = AfxIsButtonPress(nMsg);
        if (bPress)
            AfxNoteButtonPress(hWnd, FALSE);
        lResult = pWnd->WindowProc(nMsg, wParam, lParam);
        if (bPress)
            AfxNoteButtonPress(hWnd, TRUE);
        // A window of the library moved in the order or shown: the screen's
        // order of its family may need mending (screenorder.cpp).
        if (nMsg == WM_WINDOWPOSCHANGED)
            AfxNoteWindowPosChanged(hWnd, (const WINDOWPOS*)lParam);
        // A button pressed on a window that a modal window disables.
        else if (nMsg == WM_SETCURSOR && (short)LOWORD(lParam) == HTERROR &&
                 (HIWORD(lParam) == WM_LBUTTONDOWN || HIWORD(lParam) == WM_RBUTTONDOWN ||
                  HIWORD(lParam) == WM_MBUTTONDOWN))
            AfxNoteClickOnDisabledWindow(hWnd);
        // A window that refuses the activation a window manager may offer
        // it through Wine (windowmanagerfocus.cpp).
        else if (nMsg == WM_MOUSEACTIVATE && (lResult == MA_NOACTIVATE || lResult == MA_NOACTIVATEANDEAT))
            AfxNoteActivationRefused(hWnd, LOWORD(lParam));
    }
    catch (CException* e)
    {
        MSG msg = pState->m_lastSentMsg;
        lResult = AfxHandleWndProcException(e, NULL, &msg);
        e->Delete();
    }
    catch (std::exception& ex)
    {
        MSG msg = pState->m_lastSentMsg;
        lResult = AfxHandleWndProcException(NULL, ex.what(), &msg);
    }
    catch (...)
    {
        MSG msg = pState->m_lastSentMsg;
        lResult = AfxHandleWndProcException(NULL, "", &msg);
    }

    if (nMsg == WM_NCDESTROY && CWnd::FromHandlePermanent(hWnd) == pWnd)
    {
        // The object's handler did not run the base clean-up: do it now so
        // the map never keeps a dead handle.
        try
        {
            pWnd->NcDestroyCleanup();
        }
        AFX_BARRIER_CATCH("WM_NCDESTROY", NULL, (void)0)
    }

    --pState->m_nMsgDepth;
    pState->m_lastSentMsg = oldState;
    return lResult;
}

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg == WM_QUERYAFXWNDPROC)
        return 1;
    CWnd* pWnd = NULL;
    try
    {
        pWnd = CWnd::FromHandlePermanent(hWnd);
    }
    catch (...)
    {
        TRACE_EXCEPTION("Looking up a window's object", NULL);
        pWnd = NULL;   // no map (out of memory): the system's default
    }
    if (pWnd == NULL || pWnd->m_hWnd != hWnd)
        return ::DefWindowProc(hWnd, nMsg, wParam, lParam);
    return AfxCallWndProc(pWnd, hWnd, nMsg, wParam, lParam);
}

WNDPROC AFXAPI AfxGetAfxWndProc()
{
    return &AfxWndProc;
}

const MSG* PASCAL CWnd::GetCurrentMessage()
{
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    pState->m_lastSentMsg.time = ::GetMessageTime();
    DWORD dwPos = ::GetMessagePos();
    pState->m_lastSentMsg.pt.x = (short)LOWORD(dwPos);
    pState->m_lastSentMsg.pt.y = (short)HIWORD(dwPos);
    return &pState->m_lastSentMsg;
}

/////////////////////////////////////////////////////////////////////////////
// Creation hook

static void AfxAttachCreatingWindow(AFX_THREAD_STATE* pState, HWND hWnd, CBT_CREATEWND* pCbt)
{
    {
        char szClass[16] = "";
        ::GetClassName(hWnd, szClass, (int)sizeof(szClass));
        BOOL bTake = lstrcmpiA(szClass, "IME") != 0;
        if (bTake && pState->m_hWndInitParent != NULL && pCbt != NULL && pCbt->lpcs != NULL &&
            pCbt->lpcs->hwndParent != pState->m_hWndInitParent)
            bTake = FALSE;
        if (bTake)
        {
            CWnd* pWndInit = pState->m_pWndInit;
            pState->m_pWndInit = NULL;
            pState->m_hWndInitParent = NULL;
            if (pWndInit->Attach(hWnd))
            {
                try
                {
                    pWndInit->PreSubclassWindow();
                }
                AFX_BARRIER_CATCH("PreSubclassWindow", NULL, (void)0)
                WNDPROC pfnOld = (WNDPROC)::SetWindowLongPtr(hWnd, GWLP_WNDPROC, (LONG_PTR)&AfxWndProc);
                if (pfnOld != &AfxWndProc)
                    pWndInit->m_pfnSuper = pfnOld;
            }
        }
    }
}

static LRESULT CALLBACK AfxCbtFilterHook(int code, WPARAM wParam, LPARAM lParam)
{
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (code == HCBT_CREATEWND && pState->m_pWndInit != NULL)
    {
        try
        {
            AfxAttachCreatingWindow(pState, (HWND)wParam, (CBT_CREATEWND*)lParam);
        }
        AFX_BARRIER_CATCH("Window creation", NULL, (void)0)
    }
    return ::CallNextHookEx(pState->m_hHookOldCbtFilter, code, wParam, lParam);
}

void AFXAPI AfxHookWindowCreate(CWnd* pWnd)
{
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (pState->m_hHookOldCbtFilter == NULL)
        pState->m_hHookOldCbtFilter = ::SetWindowsHookEx(WH_CBT, &AfxCbtFilterHook, NULL, ::GetCurrentThreadId());
    pState->m_pWndInit = pWnd;
    pState->m_hWndInitParent = NULL;
}

BOOL AFXAPI AfxUnhookWindowCreate()
{
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (pState->m_hHookOldCbtFilter != NULL)
    {
        ::UnhookWindowsHookEx(pState->m_hHookOldCbtFilter);
        pState->m_hHookOldCbtFilter = NULL;
    }
    if (pState->m_pWndInit != NULL)
    {
        pState->m_pWndInit = NULL;
        pState->m_hWndInitParent = NULL;
        return FALSE;   // the hook never fired
    }
    return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// Construction, attaching, subclassing

CWnd::CWnd() : m_hWnd(NULL), m_pfnSuper(NULL), m_hWndOwner(NULL), m_nFlags(0), m_nModalResult(0)
{
}

CWnd::CWnd(HWND hWnd) : m_hWnd(hWnd), m_pfnSuper(NULL), m_hWndOwner(NULL), m_nFlags(0), m_nModalResult(0)
{
}

CWnd::~CWnd()
{
    if ((m_nFlags & WF_MAPPED) && m_hWnd != NULL)
    {
        // The object goes while its window lives: the window goes too.
        HWND hWnd = m_hWnd;
        ::DestroyWindow(hWnd);
        if ((m_nFlags & WF_MAPPED) && m_hWnd == hWnd)
            Detach();
    }
}

BOOL CWnd::Attach(HWND hWndNew)
{
    if (hWndNew == NULL)
        return FALSE;
    if (m_hWnd != NULL && m_hWnd != hWndNew)
        return FALSE;
    CWndHandleMap* pMap = CWndHandleMap::GetThreadMap();
    CWnd* pExisting = pMap->LookupPermanent(hWndNew);
    if (pExisting != NULL && pExisting != this)
        return FALSE;
    pMap->SetPermanent(hWndNew, this);
    m_hWnd = hWndNew;
    m_nFlags |= WF_MAPPED;
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    if (hWnd != NULL && (m_nFlags & WF_MAPPED))
        CWndHandleMap::GetThreadMap()->RemovePermanent(hWnd, this);
    m_nFlags &= ~WF_MAPPED;
    m_hWnd = NULL;
    m_hWndOwner = NULL;
    return hWnd;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!::IsWindow(hWnd) || !Attach(hWnd))
        return FALSE;
    PreSubclassWindow();
    WNDPROC pfnOld = (WNDPROC)::SetWindowLongPtr(hWnd, GWLP_WNDPROC, (LONG_PTR)&AfxWndProc);
    if (pfnOld != &AfxWndProc)
        m_pfnSuper = pfnOld;
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    HWND hWndControl = ::GetDlgItem(pParent->GetSafeHwnd(), (int)nID);
    if (hWndControl == NULL)
        return FALSE;
    return SubclassWindow(hWndControl);
}

HWND CWnd::UnsubclassWindow()
{
    if (m_hWnd == NULL)
        return NULL;
    if (m_pfnSuper != NULL)
        ::SetWindowLongPtr(m_hWnd, GWLP_WNDPROC, (LONG_PTR)m_pfnSuper);
    m_pfnSuper = NULL;
    return Detach();
}

WNDPROC* CWnd::GetSuperWndProcAddr()
{
    return &m_pfnSuper;
}

void CWnd::PreSubclassWindow()
{
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == NULL)
    {
        AfxDeferRegisterClass(AFX_WND_REG);
        cs.lpszClass = AFX_WND_CLASS;
    }
    return TRUE;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, int x, int y,
                    int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam)
{
    CREATESTRUCT cs;
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = (LONG)dwStyle;
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = lpParam;

    if (!PreCreateWindow(cs))
    {
        PostNcDestroy();
        return FALSE;
    }

    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateWindowEx(cs.dwExStyle, cs.lpszClass, cs.lpszName, (DWORD)cs.style, cs.x, cs.y, cs.cx, cs.cy,
                                 cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    // "this" may be gone from here on when creation failed (self-deleting
    // objects delete themselves in PostNcDestroy).
    if (!AfxUnhookWindowCreate())
        PostNcDestroy();   // the hook never fired: creation failed before the first message
    return hWnd != NULL;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                    CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top, pParentWnd->GetSafeHwnd(), (HMENU)(UINT_PTR)nID, lpParam);
}

BOOL CWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                  UINT nID, CCreateContext* pContext)
{
    // Child windows only (CreateEx makes pop-ups).
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top, pParentWnd->GetSafeHwnd(),
                    (HMENU)(UINT_PTR)nID, (LPVOID)pContext);
}

BOOL CWnd::DestroyWindow()
{
    if (m_hWnd == NULL)
        return FALSE;
    HWND hWndOrig = m_hWnd;
    BOOL bPermanent = (m_nFlags & WF_MAPPED) != 0;
    BOOL bResult = ::DestroyWindow(hWndOrig);
    if (bPermanent)
    {
        // A subclassed object was detached (and maybe deleted) at
        // WM_NCDESTROY; one that was only attached is still mapped.
        if (CWnd::FromHandlePermanent(hWndOrig) == this)
            Detach();
    }
    else
    {
        // A temporary wrapper: its handle is dead, so it must not be handed
        // out again for a new window that reuses the handle.
        CWndHandleMap::GetThreadMap()->RetireTemporary(hWndOrig, this);
        m_hWnd = NULL;
    }
    return bResult;
}

void CWnd::PostNcDestroy()
{
}

void CWnd::OnFinalRelease()
{
    if (m_hWnd != NULL)
        DestroyWindow();
    else
        PostNcDestroy();
}

void CWnd::NcDestroyCleanup()
{
    CWinThread* pThread = AfxGetThread();
    if (pThread != NULL)
    {
        if (pThread->m_pMainWnd == this)
        {
            // The main window ends the thread's message loop.
            AfxPostQuitMessage(0);
            pThread->m_pMainWnd = NULL;
        }
        if (pThread->m_pActiveWnd == this)
            pThread->m_pActiveWnd = NULL;
    }
    if (m_hWnd != NULL && m_pfnSuper != NULL &&
        (WNDPROC)::GetWindowLongPtr(m_hWnd, GWLP_WNDPROC) == &AfxWndProc)
        ::SetWindowLongPtr(m_hWnd, GWLP_WNDPROC, (LONG_PTR)m_pfnSuper);
    m_pfnSuper = NULL;
    // The system's drag and drop forgets the window's drop target.
    COleDropTarget::RevokeWindow(m_hWnd);
    Detach();
    PostNcDestroy();
}

void CWnd::OnNcDestroy()
{
    Default();
    NcDestroyCleanup();
}

/////////////////////////////////////////////////////////////////////////////
// Dispatch

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
    ON_WM_NCDESTROY()
END_MESSAGE_MAP()

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = 0;
    if (!OnWndMsg(message, wParam, lParam, &lResult))
        lResult = DefWindowProc(message, wParam, lParam);
    return lResult;
}

namespace
{
// TRUE for a size or move that a press of the mouse began (the command
// carries the press's hit-test code in its low bits) when the button has
// been let go by the time the command is handled: a quick click on a border
// or caption while the program was busy. The system's sizing would start
// then all the same, and under a window manager, which does the sizing
// itself and waits for the button's release, go on following the pointer
// after the click.
BOOL IsSizeMoveAfterRelease(WPARAM wParam)
{
    const UINT nCommand = (UINT)(wParam & 0xFFF0);
    if ((nCommand != SC_SIZE && nCommand != SC_MOVE) || (wParam & 0x000F) == 0)
        return FALSE;
    // The physical button that is the primary one.
    const int nButton = ::GetSystemMetrics(SM_SWAPBUTTON) ? VK_RBUTTON : VK_LBUTTON;
    return ::GetAsyncKeyState(nButton) >= 0;
}
} // namespace

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SYSCOMMAND && IsSizeMoveAfterRelease(wParam))
        return 0;
    if (m_pfnSuper != NULL)
        return ::CallWindowProc(m_pfnSuper, m_hWnd, message, wParam, lParam);
    WNDPROC* ppfn = GetSuperWndProcAddr();
    if (ppfn != NULL && *ppfn != NULL)
        return ::CallWindowProc(*ppfn, m_hWnd, message, wParam, lParam);
    return ::DefWindowProc(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    const MSG* pMsg = &AfxGetThreadState()->m_lastSentMsg;
    return DefWindowProc(pMsg->message, pMsg->wParam, pMsg->lParam);
}

BOOL CWnd::DispatchWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, void* pExtra, LRESULT* pResult)
{
    for (const AFX_MSGMAP* pMap = GetMessageMap(); pMap != NULL;
         pMap = pMap->pfnGetBaseMap != NULL ? pMap->pfnGetBaseMap() : NULL)
    {
        for (const AFX_MSGMAP_ENTRY* lpEntry = pMap->lpEntries; lpEntry->pfn != NULL; ++lpEntry)
        {
            if (lpEntry->nSig == AfxSig_thread)
                continue;
            BOOL bMatch;
            if (lpEntry->pnRegMessage != NULL)
                bMatch = *lpEntry->pnRegMessage != 0 && *lpEntry->pnRegMessage == message;
            else
                bMatch = lpEntry->nMessage == message && lpEntry->nCode == 0 && lpEntry->nID == 0 &&
                         lpEntry->nLastID == 0;
            if (!bMatch)
                continue;
            AFX_MSGCALL call = { message, wParam, lParam, 0, 0, pExtra, 0 };
            if (!lpEntry->pfn(this, call))
                return FALSE;
            if (pResult != NULL)
                *pResult = call.lResult;
            return TRUE;
        }
    }
    return FALSE;
}

// The child window a message is about, for messages a parent reflects.
static HWND AfxReflectTarget(HWND hWndParent, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_DRAWITEM:
    {
        const DRAWITEMSTRUCT* p = (const DRAWITEMSTRUCT*)lParam;
        return (p != NULL && p->CtlType != ODT_MENU) ? p->hwndItem : NULL;
    }
    case WM_MEASUREITEM:
    {
        const MEASUREITEMSTRUCT* p = (const MEASUREITEMSTRUCT*)lParam;
        return (p != NULL && p->CtlType != ODT_MENU) ? ::GetDlgItem(hWndParent, (int)p->CtlID) : NULL;
    }
    case WM_DELETEITEM:
    {
        const DELETEITEMSTRUCT* p = (const DELETEITEMSTRUCT*)lParam;
        return (p != NULL && p->CtlType != ODT_MENU) ? p->hwndItem : NULL;
    }
    case WM_COMPAREITEM:
    {
        const COMPAREITEMSTRUCT* p = (const COMPAREITEMSTRUCT*)lParam;
        return p != NULL ? p->hwndItem : NULL;
    }
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CHARTOITEM:
    case WM_VKEYTOITEM:
        return (HWND)lParam;
    case WM_PARENTNOTIFY:
        return (LOWORD(wParam) == WM_CREATE || LOWORD(wParam) == WM_DESTROY) ? (HWND)lParam : NULL;
    default:
        if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC)
            return (HWND)lParam;
        return NULL;
    }
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT lResult = 0;
    BOOL bHandled = FALSE;

    if (message == WM_COMMAND)
    {
        if (OnCommand(wParam, lParam))
        {
            lResult = 1;
            bHandled = TRUE;
        }
    }
    else if (message == WM_NOTIFY)
    {
        NMHDR* pNMHDR = (NMHDR*)lParam;
        if (pNMHDR != NULL && OnNotify(wParam, lParam, &lResult))
            bHandled = TRUE;
    }
    else
    {
        // Owner-draw, colour, scroll and similar messages go to the child's
        // object first.
        HWND hWndChild = AfxReflectTarget(m_hWnd, message, wParam, lParam);
        if (hWndChild != NULL && hWndChild != m_hWnd)
        {
            CWnd* pChild = CWnd::FromHandlePermanent(hWndChild);
            if (pChild != NULL && pChild->OnChildNotify(message, wParam, lParam, &lResult))
                bHandled = TRUE;
        }
        if (!bHandled)
            bHandled = DispatchWindowMessage(message, wParam, lParam, NULL, &lResult);
        if (!bHandled && message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC)
        {
            AFX_CTLCOLOR ctl = { (HWND)lParam, (HDC)wParam, message - WM_CTLCOLORMSGBOX };
            bHandled = DispatchWindowMessage(WM_CTLCOLOR, wParam, lParam, &ctl, &lResult);
        }
    }

    if (bHandled && pResult != NULL)
        *pResult = lResult;
    return bHandled;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    UINT nID = LOWORD(wParam);
    HWND hWndCtrl = (HWND)lParam;
    int nCode = HIWORD(wParam);

    BOOL bCommand = hWndCtrl == NULL;   // menu or accelerator
    if (!bCommand)
    {
        if (AfxGetThreadState()->m_hLockoutNotifyWindow == m_hWnd)
            return TRUE;   // notifications ignored during UpdateData

        // The control's own object first (reflection).
        CWnd* pCtrl = CWnd::FromHandlePermanent(hWndCtrl);
        if (pCtrl != NULL && pCtrl != this)
        {
            LRESULT lResult = 0;
            if (pCtrl->OnChildNotify(WM_COMMAND, wParam, lParam, &lResult))
                return TRUE;
            // A bar's button clicks are commands like menu items.
            if (nCode == 0 && pCtrl->IsKindOf(RUNTIME_CLASS(CControlBar)))
                bCommand = TRUE;
        }
    }

    if (nID == 0)
        return FALSE;

    if (bCommand)
    {
        // A command that has become disabled is not executed.
        CTestCmdUI state;
        state.m_nID = nID;
        OnCmdMsg(nID, (int)CN_UPDATE_COMMAND_UI, &state, NULL);
        if (!state.m_bEnabled)
            return TRUE;
        nCode = CN_COMMAND;
    }
    return OnCmdMsg(nID, nCode, NULL, NULL);
}

BOOL CWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* pNMHDR = (NMHDR*)lParam;
    HWND hWndCtrl = pNMHDR->hwndFrom;
    UINT nID = (hWndCtrl != NULL && ::IsWindow(hWndCtrl)) ? AfxGetDlgCtrlID(hWndCtrl) : (UINT)pNMHDR->idFrom;
    (void)wParam;

    if (AfxGetThreadState()->m_hLockoutNotifyWindow == m_hWnd)
        return TRUE;

    // The control's own object first (reflection).
    CWnd* pCtrl = CWnd::FromHandlePermanent(hWndCtrl);
    if (pCtrl != NULL && pCtrl != this && pCtrl->OnChildNotify(WM_NOTIFY, wParam, lParam, pResult))
        return TRUE;

    AFX_NOTIFY notify;
    notify.pResult = pResult;
    notify.pNMHDR = pNMHDR;
    return OnCmdMsg(nID, (int)MAKELONG(pNMHDR->code, WM_NOTIFY), &notify, NULL);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    switch (message)
    {
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_PARENTNOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_COMPAREITEM:
        return OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, pResult);

    case WM_COMMAND:
    {
        int nCode = HIWORD(wParam);
        if (CCmdTarget::OnCmdMsg(0, (int)MAKELONG(nCode, WM_REFLECT_BASE + WM_COMMAND), NULL, NULL))
        {
            if (pResult != NULL)
                *pResult = 1;
            return TRUE;
        }
        return FALSE;
    }

    case WM_NOTIFY:
    {
        NMHDR* pNMHDR = (NMHDR*)lParam;
        AFX_NOTIFY notify;
        notify.pResult = pResult;
        notify.pNMHDR = pNMHDR;
        return CCmdTarget::OnCmdMsg(0, (int)MAKELONG(pNMHDR->code, WM_REFLECT_BASE + WM_NOTIFY), &notify, NULL);
    }

    default:
        if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC)
        {
            AFX_CTLCOLOR ctl = { (HWND)lParam, (HDC)wParam, message - WM_CTLCOLORMSGBOX };
            return OnWndMsg(WM_REFLECT_BASE + WM_CTLCOLOR, 0, (LPARAM)&ctl, pResult);
        }
        return FALSE;
    }
}

BOOL PASCAL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWndChild);
    if (pWnd == NULL)
        return FALSE;
    return pWnd->SendChildNotifyLastMsg(pResult);
}

BOOL CWnd::SendChildNotifyLastMsg(LRESULT* pResult)
{
    const MSG* pMsg = &AfxGetThreadState()->m_lastSentMsg;
    return OnChildNotify(pMsg->message, pMsg->wParam, pMsg->lParam, pResult);
}

BOOL CWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    return CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CWnd::PreTranslateMessage(MSG* pMsg)
{
    (void)pMsg;
    return FALSE;
}

BOOL PASCAL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg)
{
    AfxRelayToolTipMessage(pMsg);
    for (HWND hWnd = pMsg->hwnd; hWnd != NULL; hWnd = ::GetParent(hWnd))
    {
        CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
        if (pWnd != NULL && pWnd->PreTranslateMessage(pMsg))
            return TRUE;
        if (hWnd == hWndStop)
            break;
    }
    return FALSE;
}

/////////////////////////////////////////////////////////////////////////////
// Modal loop

int CWnd::RunModalLoop(DWORD dwFlags)
{
    BOOL bIdle = TRUE;
    LONG lIdleCount = 0;
    BOOL bShowIdle = (dwFlags & MLF_SHOWONIDLE) && !(GetStyle() & WS_VISIBLE);
    HWND hWndParent = ::GetParent(m_hWnd);
    m_nFlags |= (WF_MODALLOOP | WF_CONTINUEMODAL);

    CWinThread* pThread = AfxGetThread();
    MSG msgLocal;
    ZeroMemory(&msgLocal, sizeof(msgLocal));
    MSG* pMsg = pThread != NULL ? &pThread->m_msgCur : &msgLocal;

    for (;;)
    {
        // Idle: show the window once, tell the owner, kick the window.
        while (bIdle && !::PeekMessage(pMsg, NULL, 0, 0, PM_NOREMOVE))
        {
            if (bShowIdle)
            {
                ShowWindow(SW_SHOWNORMAL);
                UpdateWindow();
                bShowIdle = FALSE;
            }
            if (!(dwFlags & MLF_NOIDLEMSG) && hWndParent != NULL && lIdleCount == 0)
                ::SendMessage(hWndParent, WM_ENTERIDLE, MSGF_DIALOGBOX, (LPARAM)m_hWnd);
            if ((dwFlags & MLF_NOKICKIDLE) || !SendMessage(WM_KICKIDLE, MSGF_DIALOGBOX, lIdleCount++))
                bIdle = FALSE;
        }

        // Pump what is there.
        do
        {
            BOOL bPumped = TRUE;
            try
            {
                bPumped = AfxPumpMessageInto(pMsg);
            }
            AFX_BARRIER_CATCH("PreTranslateMessage", pMsg, (void)0)
            if (!bPumped)
            {
                // Quitting from a modal state still ends the program: the
                // outer loop gets WM_QUIT again.
                m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
                ::PostQuitMessage((int)pMsg->wParam);
                return -1;
            }
            if (bShowIdle && (pMsg->message == 0x118 || pMsg->message == WM_SYSKEYDOWN))
            {
                ShowWindow(SW_SHOWNORMAL);
                UpdateWindow();
                bShowIdle = FALSE;
            }
            if (m_hWnd == NULL || !::IsWindow(m_hWnd) || !ContinueModal())
                goto ExitModal;
            if (AfxIsIdleMessage(pMsg))
            {
                bIdle = TRUE;
                lIdleCount = 0;
            }
        } while (::PeekMessage(pMsg, NULL, 0, 0, PM_NOREMOVE));
    }

ExitModal:
    m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
    return m_nModalResult;
}

BOOL CWnd::ContinueModal()
{
    return (m_nFlags & WF_CONTINUEMODAL) != 0;
}

void CWnd::EndModalLoop(int nResult)
{
    m_nModalResult = nResult;
    if (m_nFlags & WF_CONTINUEMODAL)
    {
        m_nFlags &= ~WF_CONTINUEMODAL;
        PostMessage(WM_NULL);   // wakes the loop up
    }
}
