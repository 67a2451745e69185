// Hook, keyboard and mouse managers.
#include "XTPHookManager.h"

#include "XTPDrawHelpers.h"

namespace
{
// Calls a client, treating anything it throws as "not handled": an exception
// must never unwind through the window procedure or the hook.
int CallClient(CXTPHookManagerHookAble* pHook, HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam,
               LRESULT& lResult)
{
    try
    {
        return pHook->OnHookMessage(hWnd, nMessage, wParam, lParam, lResult);
    }
    catch (CException* e)
    {
        TRACE_EXCEPTION("A hook client", e);
        e->Delete();
    }
    catch (...)
    {
        TRACE_EXCEPTION("A hook client", NULL);
    }
    return CXTPHookManagerHookAble::hookContinue;
}

// Makes a message the thread's current message of the class library for the
// scope, and puts the previous one back afterwards.
class CCurrentMessageScope
{
public:
    CCurrentMessageScope(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
    {
        // The record is the thread's own and is writable; the accessor only
        // hands it out read-only.
        m_pMsg = const_cast<MSG*>(CWnd::GetCurrentMessage());
        if (m_pMsg != NULL)
        {
            m_msgSaved = *m_pMsg;
            m_pMsg->hwnd = hWnd;
            m_pMsg->message = nMessage;
            m_pMsg->wParam = wParam;
            m_pMsg->lParam = lParam;
        }
    }
    ~CCurrentMessageScope()
    {
        if (m_pMsg != NULL)
            *m_pMsg = m_msgSaved;
    }

private:
    MSG* m_pMsg;
    MSG m_msgSaved;
};

THREAD_LOCAL(CXTPKeyboardManager, g_keyboardManager)
THREAD_LOCAL(CXTPMouseManager, g_mouseManager)
} // namespace

//////////////////////////////////////////////////////////////////////////
// CXTPHookManager

CXTPHookManager::CHookSink::CHookSink(HWND hWnd, WNDPROC pfnOldWndProc)
    : m_pfnOldWndProc(pfnOldWndProc)
    , m_hWnd(hWnd)
    , m_pModuleState(AfxGetModuleState())
{
}

CXTPHookManager::CHookSink::~CHookSink()
{
    if (::IsWindow(m_hWnd))
        ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnOldWndProc));

    for (INT_PTR i = GetSize() - 1; i >= 0; i--)
    {
        CXTPHookManagerHookAble* pHook = GetAt(i);
        if (pHook->m_bAutoDestroy)
            delete pHook;
    }
    RemoveAll();
}

int CXTPHookManager::CHookSink::Find(CXTPHookManagerHookAble* pHook) const
{
    for (INT_PTR i = 0; i < GetSize(); i++)
    {
        if (GetAt(i) == pHook)
            return (int)i;
    }
    return -1;
}

CXTPHookManager::CXTPHookManager()
{
    m_mapHooks.InitHashTable(17);
}

CXTPHookManager::~CXTPHookManager()
{
    POSITION pos = m_mapHooks.GetStartPosition();
    while (pos != NULL)
    {
        HWND hWnd = NULL;
        CHookSink* pSink = NULL;
        m_mapHooks.GetNextAssoc(pos, hWnd, pSink);
        delete pSink;
    }
    m_mapHooks.RemoveAll();
}

CXTPHookManager::CHookSink* CXTPHookManager::Lookup(HWND hWnd) const
{
    CHookSink* pSink = NULL;
    if (!m_mapHooks.Lookup(hWnd, pSink))
        return NULL;
    return pSink;
}

void CXTPHookManager::SetHook(HWND hWnd, CXTPHookManagerHookAble* pHook)
{
    if (pHook == NULL || !::IsWindow(hWnd))
        return;

    CHookSink* pSink = Lookup(hWnd);
    if (pSink == NULL)
    {
        WNDPROC pfnOld = reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(hWnd, GWLP_WNDPROC));
        pSink = new CHookSink(hWnd, pfnOld);
        m_mapHooks.SetAt(hWnd, pSink);
        ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CXTPHookManager::HookWndProc));
    }
    if (pSink->Find(pHook) == -1)
        pSink->Add(pHook);
    pSink->m_pModuleState = AfxGetModuleState();
}

void CXTPHookManager::RemoveSink(HWND hWnd)
{
    CHookSink* pSink = Lookup(hWnd);
    if (pSink == NULL)
        return;
    m_mapHooks.RemoveKey(hWnd);
    delete pSink;
}

void CXTPHookManager::RemoveHook(HWND hWnd, CXTPHookManagerHookAble* pHook)
{
    CHookSink* pSink = Lookup(hWnd);
    if (pSink == NULL)
        return;
    int nIndex = pSink->Find(pHook);
    if (nIndex == -1)
        return;
    pSink->RemoveAt(nIndex);
    if (pHook->m_bAutoDestroy)
        delete pHook;
    if (pSink->GetSize() == 0)
        RemoveSink(hWnd);
}

void CXTPHookManager::RemoveHookAbleFromAll(CXTPHookManagerHookAble* pHook)
{
    // Collect first: removing may destroy sinks and change the map.
    CArray<HWND, HWND> arrWindows;
    POSITION pos = m_mapHooks.GetStartPosition();
    while (pos != NULL)
    {
        HWND hWnd = NULL;
        CHookSink* pSink = NULL;
        m_mapHooks.GetNextAssoc(pos, hWnd, pSink);
        if (pSink->Find(pHook) != -1)
            arrWindows.Add(hWnd);
    }
    // An auto-delete client is deleted with its first removal, so it may be
    // used only once.
    for (INT_PTR i = 0; i < arrWindows.GetSize(); i++)
    {
        CHookSink* pSink = Lookup(arrWindows[i]);
        if (pSink == NULL)
            continue;
        int nIndex = pSink->Find(pHook);
        if (nIndex == -1)
            continue;
        pSink->RemoveAt(nIndex);
        if (pSink->GetSize() == 0)
            RemoveSink(arrWindows[i]);
    }
    if (arrWindows.GetSize() > 0 && pHook->m_bAutoDestroy)
        delete pHook;
}

void CXTPHookManager::RemoveAll(HWND hWnd)
{
    RemoveSink(hWnd);
}

LRESULT CALLBACK CXTPHookManager::HookWndProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    try
    {
        return XTPHookManager()->WindowProc(hWnd, nMessage, wParam, lParam);
    }
    catch (CException* e)
    {
        TRACE_EXCEPTION("The hook manager's window procedure", e);
        e->Delete();
    }
    catch (...)
    {
        TRACE_EXCEPTION("The hook manager's window procedure", NULL);
    }
    return 0;
}

LRESULT CXTPHookManager::WindowProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    CCurrentMessageScope currentMessage(hWnd, nMessage, wParam, lParam);

    CHookSink* pSink = Lookup(hWnd);
    if (pSink == NULL)
        return 0;

    WNDPROC pfnOldWndProc = pSink->m_pfnOldWndProc;

    if (nMessage == WM_NCDESTROY)
    {
        // The window gets its own procedure back (and auto-delete clients go)
        // before it sees its last message.
        RemoveSink(hWnd);
    }
    else
    {
        // The newest client first. Clients may hook and unhook while they
        // run, so the chain is looked up again for every step.
        INT_PTR i = pSink->GetSize() - 1;
        while (i >= 0)
        {
            pSink = Lookup(hWnd);
            if (pSink == NULL)
                break;
            if (i >= pSink->GetSize())
            {
                i = pSink->GetSize() - 1;
                continue;
            }
            LRESULT lResult = 0;
            int nAnswer = CallClient(pSink->GetAt(i), hWnd, nMessage, wParam, lParam, lResult);
            if (nAnswer == CXTPHookManagerHookAble::hookHandled)
                return lResult;
            if (nAnswer == CXTPHookManagerHookAble::hookStop)
                break;
            i--;
        }
    }

    return ::CallWindowProcA(pfnOldWndProc, hWnd, nMessage, wParam, lParam);
}

CXTPHookManager* AFXAPI XTPHookManager()
{
    static CXTPHookManager s_hookManager;
    return &s_hookManager;
}

namespace
{
// The hook manager exists from start-up, before any window is hooked.
struct CHookManagerStartup
{
    CHookManagerStartup() { XTPHookManager(); }
} g_hookManagerStartup;
} // namespace

//////////////////////////////////////////////////////////////////////////
// CXTPKeyboardManager

CXTPKeyboardManager::CXTPKeyboardManager()
    : m_hHookKeyboard(NULL)
    , m_pModuleState(NULL)
    , m_nHookDepth(0)
{
}

CXTPKeyboardManager::~CXTPKeyboardManager()
{
    Unhook();
}

void CXTPKeyboardManager::Unhook()
{
    if (m_hHookKeyboard != NULL)
    {
        ::UnhookWindowsHookEx(m_hHookKeyboard);
        m_hHookKeyboard = NULL;
    }
}

void CXTPKeyboardManager::HookKeyboard(CXTPHookManagerHookAble* pHook)
{
    if (pHook == NULL)
        return;
    if (m_hHookKeyboard == NULL)
    {
        m_hHookKeyboard = ::SetWindowsHookExA(WH_KEYBOARD, &CXTPKeyboardManager::KeyboardProc,
                                              AfxGetInstanceHandle(), ::GetCurrentThreadId());
    }
    m_pModuleState = AfxGetModuleState();
    if (m_lstHookKeyboard.Find(pHook) == NULL)
        m_lstHookKeyboard.AddTail(pHook);
}

void CXTPKeyboardManager::UnhookKeyboard(CXTPHookManagerHookAble* pHook)
{
    POSITION pos = m_lstHookKeyboard.Find(pHook);
    if (pos != NULL)
        m_lstHookKeyboard.RemoveAt(pos);
    if (m_lstHookKeyboard.IsEmpty())
        Unhook();
}

BOOL CXTPKeyboardManager::DispatchKeyboardHook(UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    // A client may unhook itself or others while it handles the key, so the
    // offer walks a copy and skips clients that have gone meanwhile.
    CArray<CXTPHookManagerHookAble*, CXTPHookManagerHookAble*> arrClients;
    POSITION pos = m_lstHookKeyboard.GetHeadPosition();
    while (pos != NULL)
        arrClients.Add(m_lstHookKeyboard.GetNext(pos));

    for (INT_PTR i = arrClients.GetSize() - 1; i >= 0; i--)
    {
        CXTPHookManagerHookAble* pHook = arrClients[i];
        if (m_lstHookKeyboard.Find(pHook) == NULL)
            continue;
        WPARAM wParamHook = wParam;
        LPARAM lParamHook = lParam;
        LRESULT lResult = 0;
        int nAnswer = CallClient(pHook, NULL, nMessage, wParamHook, lParamHook, lResult);
        if (nAnswer != CXTPHookManagerHookAble::hookContinue)
            return nAnswer != CXTPHookManagerHookAble::hookStop;
    }
    return TRUE;
}

LRESULT CXTPKeyboardManager::OnKeyboardHook(int nCode, WPARAM wParam, LPARAM lParam)
{
    HHOOK hHook = m_hHookKeyboard;
    if (nCode == HC_ACTION && !m_lstHookKeyboard.IsEmpty() && (lParam & 0x80000000) == 0)
    {
        if (wParam == VK_MENU && (lParam & 0x20000000) != 0 && XTPMouseManager()->GetLockCount() == 0)
        {
            // Alt: a first press closes the tracked bars and is eaten; the
            // auto-repeat of a held key is passed on.
            if ((lParam & 0x40000000) == 0)
            {
                XTPMouseManager()->CloseAllTracked();
                return 1;
            }
        }
        else
        {
            struct HookDepth
            {
                int& m_nDepth;
                explicit HookDepth(int& nDepth) : m_nDepth(nDepth) { m_nDepth++; }
                ~HookDepth() { m_nDepth--; }
            } depth(m_nHookDepth);
            if (DispatchKeyboardHook(WM_KEYDOWN, wParam, lParam))
                return 1;
        }
    }
    return ::CallNextHookEx(hHook, nCode, wParam, lParam);
}

LRESULT CALLBACK CXTPKeyboardManager::KeyboardProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    try
    {
        CXTPKeyboardManager* pManager = g_keyboardManager.GetDataNA();
        if (pManager != NULL)
            return pManager->OnKeyboardHook(nCode, wParam, lParam);
    }
    catch (CException* e)
    {
        TRACE_EXCEPTION("The keyboard hook", e);
        e->Delete();
    }
    catch (...)
    {
        TRACE_EXCEPTION("The keyboard hook", NULL);
    }
    return ::CallNextHookEx(NULL, nCode, wParam, lParam);
}

CXTPKeyboardManager* AFXAPI XTPKeyboardManager()
{
    return g_keyboardManager.GetData();
}

//////////////////////////////////////////////////////////////////////////
// CXTPMouseManager

CPoint CXTPMouseManager::m_ptLastMouse(0, 0);

CXTPMouseManager::CXTPMouseManager()
    : m_nLock(0)
    , m_hHookMouse(NULL)
    , m_pSelected(NULL)
    , m_hWndLeaveTrack(NULL)
    , m_bForceExpanded(FALSE)
    , m_bSwallowButtonUp(FALSE)
    , m_pModuleState(NULL)
    , m_pActivationWatch(new CActivationWatch(this))
{
    m_hHookMouse = ::SetWindowsHookExA(WH_MOUSE, &CXTPMouseManager::MouseProc, AfxGetInstanceHandle(),
                                       ::GetCurrentThreadId());
}

CXTPMouseManager::~CXTPMouseManager()
{
    StopWatchingActivation();
    delete m_pActivationWatch;
    m_pActivationWatch = NULL;
    StopMouseLeave();
    if (m_hHookMouse != NULL)
    {
        ::UnhookWindowsHookEx(m_hHookMouse);
        m_hHookMouse = NULL;
    }
}

int CXTPMouseManager::FindTracked(CXTPTrackableBar* pBar) const
{
    for (INT_PTR i = 0; i < m_arrTracked.GetSize(); i++)
    {
        if (m_arrTracked[i] == pBar)
            return (int)i;
    }
    return -1;
}

void CXTPMouseManager::AddTracked(CXTPTrackableBar* pBar)
{
    if (pBar == NULL)
        return;
    m_pModuleState = AfxGetModuleState();
    if (m_arrTracked.GetSize() == 0 && m_pSelected != NULL && m_pSelected != pBar)
        m_pSelected->ClearSelection();
    if (FindTracked(pBar) == -1)
        m_arrTracked.Add(pBar);
    HWND hWndBar = pBar->GetTrackableHwnd();
    WatchActivation(hWndBar != NULL ? ::GetAncestor(hWndBar, GA_ROOT) : NULL);
    WatchActivation(::GetActiveWindow());
}

int CXTPMouseManager::CActivationWatch::OnHookMessage(HWND, UINT nMessage, WPARAM& wParam, LPARAM&, LRESULT&)
{
    if (nMessage == WM_ACTIVATEAPP && !wParam)
        m_pManager->CloseAllTracked();
    return hookContinue;
}

void CXTPMouseManager::WatchActivation(HWND hWnd)
{
    if (hWnd == NULL || !::IsWindow(hWnd) || ::GetWindowThreadProcessId(hWnd, NULL) != ::GetCurrentThreadId())
        return;
    for (INT_PTR i = 0; i < m_arrWatched.GetSize(); i++)
    {
        if (m_arrWatched[i] == hWnd)
            return;
    }
    XTPHookManager()->SetHook(hWnd, m_pActivationWatch);
    m_arrWatched.Add(hWnd);
}

void CXTPMouseManager::StopWatchingActivation()
{
    // A watched window destroyed meanwhile took its chain with it.
    for (INT_PTR i = 0; i < m_arrWatched.GetSize(); i++)
    {
        if (::IsWindow(m_arrWatched[i]))
            XTPHookManager()->RemoveHook(m_arrWatched[i], m_pActivationWatch);
    }
    m_arrWatched.RemoveAll();
}

void CXTPMouseManager::RemoveTracked(CXTPTrackableBar* pBar)
{
    int nIndex = FindTracked(pBar);
    if (nIndex != -1)
    {
        m_arrTracked.RemoveAt(nIndex);
        if (m_arrTracked.GetSize() == 0)
        {
            StopWatchingActivation();
            // Putting the cursor where it is makes windows refresh their hover states.
            POINT pt;
            if (::GetCursorPos(&pt))
                ::SetCursorPos(pt.x, pt.y);
        }
    }
    m_bSwallowButtonUp = FALSE;
}

void CXTPMouseManager::CloseAllTracked()
{
    while (m_arrTracked.GetSize() > 0)
    {
        CXTPTrackableBar* pBar = m_arrTracked[0];
        pBar->ExitTrackingMode();
        // A bar that failed to leave the list is taken off, so this ends.
        if (m_arrTracked.GetSize() > 0 && m_arrTracked[0] == pBar)
            RemoveTracked(pBar);
    }
}

void CXTPMouseManager::CloseUnlockedTracked()
{
    if (m_arrTracked.GetSize() == 0 || m_arrTracked[0]->m_nLockTracking < 1)
        return;

    // A bar that leaves tracking mode leaves the list, and the bar behind it
    // moves into its place: that place is examined again, so no unlocked bar
    // is left open.
    INT_PTR i = 0;
    int nGuard = 0;
    while (i < m_arrTracked.GetSize() && nGuard++ < 10000)
    {
        CXTPTrackableBar* pBar = m_arrTracked[i];
        if (pBar->m_nLockTracking > 0)
        {
            i++;
            continue;
        }
        pBar->ExitTrackingMode();
        if (i < m_arrTracked.GetSize() && m_arrTracked[i] == pBar)
            i++;    // it stayed: move on rather than ask it again
    }
}

void CXTPMouseManager::LockTracked(BOOL bLock)
{
    for (INT_PTR i = 0; i < m_arrTracked.GetSize(); i++)
    {
        CXTPTrackableBar* pBar = m_arrTracked[i];
        if (bLock)
            pBar->m_nLockTracking++;
        else if (pBar->m_nLockTracking > 0)
            pBar->m_nLockTracking--;
    }
}

BOOL CXTPMouseManager::IsMouseLocked(CXTPTrackableBar* pBar) const
{
    if (m_arrTracked.GetSize() == 0)
        return FALSE;
    if (pBar == NULL || pBar->m_nLockTracking > 0)
        return TRUE;
    return FindTracked(pBar) == -1;
}

void CXTPMouseManager::AddTrusted(HWND hWnd)
{
    m_arrTrusted.Add(hWnd);
}

void CXTPMouseManager::RemoveTrusted(HWND hWnd)
{
    for (INT_PTR i = 0; i < m_arrTrusted.GetSize(); i++)
    {
        if (m_arrTrusted[i] == hWnd)
        {
            m_arrTrusted.RemoveAt(i);
            return;
        }
    }
}

BOOL CXTPMouseManager::IsTrustedWindow(HWND hWnd) const
{
    for (INT_PTR i = 0; i < m_arrTrusted.GetSize(); i++)
    {
        if (m_arrTrusted[i] == hWnd)
            return TRUE;
    }
    return FALSE;
}

void CXTPMouseManager::StopMouseLeave()
{
    if (m_hWndLeaveTrack != NULL && ::IsWindow(m_hWndLeaveTrack))
        ::KillTimer(m_hWndLeaveTrack, XTP_TID_MOUSELEAVE);
    m_hWndLeaveTrack = NULL;
}

void CXTPMouseManager::TrackMouseLeave(HWND hWnd)
{
    if (hWnd == m_hWndLeaveTrack)
        return;

    HWND hWndOld = m_hWndLeaveTrack;
    StopMouseLeave();
    if (hWndOld != NULL && ::IsWindow(hWndOld))
        ::SendMessageA(hWndOld, WM_MOUSELEAVE, 0, 0);

    if (hWnd != NULL && ::IsWindow(hWnd))
    {
        m_hWndLeaveTrack = hWnd;
        ::SetTimer(hWnd, XTP_TID_MOUSELEAVE, 50, &CXTPMouseManager::MouseLeaveTimerProc);
    }
}

void CALLBACK CXTPMouseManager::MouseLeaveTimerProc(HWND hWnd, UINT, UINT_PTR nIDEvent, DWORD)
{
    try
    {
        CXTPMouseManager* pManager = g_mouseManager.GetDataNA();
        if (pManager != NULL && pManager->m_hWndLeaveTrack == hWnd)
            pManager->OnMouseLeaveTimer();
        else
            ::KillTimer(hWnd, nIDEvent);
    }
    catch (CException* e)
    {
        TRACE_EXCEPTION("The mouse-leave timer", e);
        e->Delete();
    }
    catch (...)
    {
        TRACE_EXCEPTION("The mouse-leave timer", NULL);
    }
}

void CXTPMouseManager::OnMouseLeaveTimer()
{
    HWND hWnd = m_hWndLeaveTrack;
    if (hWnd == NULL)
        return;
    if (!::IsWindow(hWnd))
    {
        m_hWndLeaveTrack = NULL;
        return;
    }

    BOOL bActive = ::GetParent(hWnd) == NULL || (::GetWindowLongA(hWnd, GWL_STYLE) & WS_POPUP) != 0 ||
                   IsTopParentActive(hWnd);

    POINT pt = { 0, 0 };
    ::GetCursorPos(&pt);
    RECT rcWindow;
    ::GetWindowRect(hWnd, &rcWindow);
    if (bActive && ::PtInRect(&rcWindow, pt))
        return;

    ::KillTimer(hWnd, XTP_TID_MOUSELEAVE);
    m_hWndLeaveTrack = NULL;
    ::PostMessageA(hWnd, WM_MOUSELEAVE, 0, 0);
}

BOOL AFX_CDECL CXTPMouseManager::IsTopParentActive(HWND hWnd)
{
    return CXTPDrawHelpers::IsTopParentActive(hWnd);
}

BOOL CXTPMouseManager::PreviewMouseMessage(UINT nMessage, CPoint point)
{
    HWND hWndPoint = ::WindowFromPoint(point);
    BOOL bMove = nMessage == WM_MOUSEMOVE || nMessage == WM_NCMOUSEMOVE;

    // The newest tracked bar first.
    CXTPTrackableBar* pHit = NULL;
    for (INT_PTR i = m_arrTracked.GetSize() - 1; i >= 0; i--)
    {
        CXTPTrackableBar* pBar = m_arrTracked[i];
        int nTest = pBar->HitTestTrackedPoint(point);
        HWND hWndBar = pBar->GetTrackableHwnd();
        if (nTest == 1 ||
            (nTest != -2 && hWndPoint != NULL && hWndBar != NULL && ::IsChild(hWndBar, hWndPoint)))
        {
            pHit = pBar;
            break;
        }
    }

    if (pHit != NULL)
    {
        if (pHit->m_nLockTracking < 1 || bMove || m_bSwallowButtonUp)
            return FALSE;
        CloseUnlockedTracked();
        m_ptLastMouse = CPoint(0, 0);
        return FALSE;
    }

    for (INT_PTR i = 0; i < m_arrTrusted.GetSize(); i++)
    {
        HWND hWndTrusted = m_arrTrusted[i];
        if (!::IsWindow(hWndTrusted) || !::IsWindowVisible(hWndTrusted))
            continue;
        RECT rc;
        ::GetWindowRect(hWndTrusted, &rc);
        if (::PtInRect(&rc, point))
            return FALSE;
    }

    switch (nMessage)
    {
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE:
        for (INT_PTR i = 0; i < m_arrTracked.GetSize(); i++)
        {
            CXTPTrackableBar* pBar = m_arrTracked[i];
            if (pBar->m_nLockTracking >= 1)
                continue;
            CPoint ptClient = point;
            ::ScreenToClient(pBar->GetTrackableHwnd(), &ptClient);
            pBar->OnMouseMove(0, ptClient);
        }
        break;

    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
        CloseAllTracked();
        break;

    case WM_LBUTTONUP:
    case WM_NCLBUTTONUP:
        if (m_nLock == 0)
            CloseAllTracked();
        break;

    default:
        break;
    }
    return FALSE;
}

LRESULT CXTPMouseManager::OnMouseHook(int nCode, WPARAM wParam, LPARAM lParam)
{
    HHOOK hHook = m_hHookMouse;
    const MOUSEHOOKSTRUCT* pHookStruct = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam);
    if (nCode != HC_ACTION || pHookStruct == NULL)
        return ::CallNextHookEx(hHook, nCode, wParam, lParam);

    UINT nMessage = (UINT)wParam;
    CPoint point(pHookStruct->pt);

    switch (nMessage)
    {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        m_bSwallowButtonUp = FALSE;
        break;
    case WM_LBUTTONUP:
    case WM_NCLBUTTONUP:
        if (m_bSwallowButtonUp)
        {
            m_bSwallowButtonUp = FALSE;
            return 1;
        }
        break;
    default:
        break;
    }

    // The same move reported twice reaches the application once.
    if (m_arrTracked.GetSize() > 0 && (nMessage == WM_MOUSEMOVE || nMessage == WM_NCMOUSEMOVE) &&
        point == m_ptLastMouse)
    {
        return 1;
    }
    m_ptLastMouse = point;

    if (m_arrTracked.GetSize() > 0)
        PreviewMouseMessage(nMessage, point);

    return ::CallNextHookEx(hHook, nCode, wParam, lParam);
}

LRESULT CALLBACK CXTPMouseManager::MouseProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    try
    {
        CXTPMouseManager* pManager = g_mouseManager.GetDataNA();
        if (pManager != NULL)
            return pManager->OnMouseHook(nCode, wParam, lParam);
    }
    catch (CException* e)
    {
        TRACE_EXCEPTION("The mouse hook", e);
        e->Delete();
    }
    catch (...)
    {
        TRACE_EXCEPTION("The mouse hook", NULL);
    }
    return ::CallNextHookEx(NULL, nCode, wParam, lParam);
}

CXTPMouseManager* AFXAPI XTPMouseManager()
{
    return g_mouseManager.GetData();
}
