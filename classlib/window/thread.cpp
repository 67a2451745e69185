// CWinThread: the message pump, the PreTranslateMessage walk, idle
// processing and worker threads.
#include "wndimpl.h"

#include <process.h>
#include <exception>

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)

BEGIN_MESSAGE_MAP(CWinThread, CCmdTarget)
END_MESSAGE_MAP()

CWinThread* AFXAPI AfxGetThread()
{
    return AfxGetThreadState()->m_pThread;
}

CWnd* AFXAPI AfxGetMainWnd()
{
    CWinThread* pThread = AfxGetThread();
    return pThread != NULL ? pThread->GetMainWnd() : NULL;
}

void AFXAPI AfxPostQuitMessage(int nExitCode)
{
    ::PostQuitMessage(nExitCode);
}

CWinThread::CWinThread()
    : m_pMainWnd(NULL), m_pActiveWnd(NULL), m_bAutoDelete(TRUE), m_hThread(NULL), m_nThreadID(0),
      m_pThreadParams(NULL), m_pfnThreadProc(NULL)
{
    ZeroMemory(&m_msgCur, sizeof(m_msgCur));
}

CWinThread::CWinThread(UINT (AFX_CDECL* pfnThreadProc)(LPVOID), LPVOID pParam)
    : m_pMainWnd(NULL), m_pActiveWnd(NULL), m_bAutoDelete(TRUE), m_hThread(NULL), m_nThreadID(0),
      m_pThreadParams(pParam), m_pfnThreadProc(pfnThreadProc)
{
    ZeroMemory(&m_msgCur, sizeof(m_msgCur));
}

CWinThread::~CWinThread()
{
    // Our own thread handle (the main thread's pseudo handle is not closed).
    if (m_hThread != NULL && m_hThread != ::GetCurrentThread())
        ::CloseHandle(m_hThread);
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (pState->m_pThread == this)
        pState->m_pThread = NULL;
}

CWnd* CWinThread::GetMainWnd()
{
    return m_pActiveWnd != NULL ? m_pActiveWnd : m_pMainWnd;
}

int CWinThread::GetThreadPriority()
{
    return ::GetThreadPriority(m_hThread);
}

BOOL CWinThread::SetThreadPriority(int nPriority)
{
    return ::SetThreadPriority(m_hThread, nPriority);
}

DWORD CWinThread::SuspendThread()
{
    return ::SuspendThread(m_hThread);
}

DWORD CWinThread::ResumeThread()
{
    return ::ResumeThread(m_hThread);
}

BOOL CWinThread::PostThreadMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::PostThreadMessage(m_nThreadID, message, wParam, lParam);
}

BOOL CWinThread::InitInstance()
{
    return FALSE;   // a user-interface thread overrides this
}

int CWinThread::ExitInstance()
{
    return (int)m_msgCur.wParam;
}

void CWinThread::Delete()
{
    if (m_bAutoDelete)
        delete this;
}

// Thread entry -----------------------------------------------------------------------

static unsigned __stdcall AfxThreadEntry(void* pParam)
{
    CWinThread* pThread = (CWinThread*)pParam;
    AfxGetThreadState()->m_pThread = pThread;

    UINT nResult = 0;
    try
    {
        if (pThread->m_pfnThreadProc != NULL)
        {
            nResult = pThread->m_pfnThreadProc(pThread->m_pThreadParams);
        }
        else if (!pThread->InitInstance())
        {
            nResult = (UINT)pThread->ExitInstance();
        }
        else
        {
            nResult = (UINT)pThread->Run();
        }
    }
    AFX_BARRIER_CATCH("Thread", NULL, nResult = (UINT)-1)

    AfxDeleteTempMaps();
    AfxGetThreadState()->m_pThread = NULL;
    try
    {
        pThread->Delete();
    }
    AFX_BARRIER_CATCH("Thread", NULL, (void)0)
    return nResult;
}

BOOL CWinThread::CreateThread(DWORD dwCreateFlags, UINT nStackSize, LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    unsigned nThreadID = 0;
    // Started suspended so that the handle and id are stored before it runs.
    uintptr_t hThread = _beginthreadex(lpSecurityAttrs, nStackSize, &AfxThreadEntry, this, CREATE_SUSPENDED,
                                       &nThreadID);
    if (hThread == 0)
        return FALSE;
    m_hThread = (HANDLE)hThread;
    m_nThreadID = nThreadID;
    if (!(dwCreateFlags & CREATE_SUSPENDED))
        ::ResumeThread(m_hThread);
    return TRUE;
}

// Creates the thread of pThread suspended, sets its priority and resumes it
// unless CREATE_SUSPENDED was asked for; on failure deletes pThread and gives NULL.
static CWinThread* StartThreadObject(CWinThread* pThread, int nPriority, UINT nStackSize, DWORD dwCreateFlags,
                                     LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    if (!pThread->CreateThread(dwCreateFlags | CREATE_SUSPENDED, nStackSize, lpSecurityAttrs))
    {
        delete pThread;
        return NULL;
    }
    pThread->SetThreadPriority(nPriority);
    if (!(dwCreateFlags & CREATE_SUSPENDED))
        pThread->ResumeThread();
    return pThread;
}

CWinThread* AFXAPI AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int nPriority, UINT nStackSize,
                                  DWORD dwCreateFlags, LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    CWinThread* pThread = new CWinThread(pfnThreadProc, pParam);
    return StartThreadObject(pThread, nPriority, nStackSize, dwCreateFlags, lpSecurityAttrs);
}

CWinThread* AFXAPI AfxBeginThread(CRuntimeClass* pThreadClass, int nPriority, UINT nStackSize, DWORD dwCreateFlags,
                                  LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    if (pThreadClass == NULL || !pThreadClass->IsDerivedFrom(RUNTIME_CLASS(CWinThread)))
        return NULL;
    CWinThread* pThread = (CWinThread*)pThreadClass->CreateObject();
    if (pThread == NULL)
        return NULL;
    return StartThreadObject(pThread, nPriority, nStackSize, dwCreateFlags, lpSecurityAttrs);
}

void AFXAPI AfxEndThread(UINT nExitCode, BOOL bDelete)
{
    CWinThread* pThread = AfxGetThread();
    AfxDeleteTempMaps();
    AfxGetThreadState()->m_pThread = NULL;
    if (pThread != NULL && bDelete)
        pThread->Delete();
    _endthreadex(nExitCode);
}

// Message loop -------------------------------------------------------------------------

BOOL AFXAPI AfxIsIdleMessage(MSG* pMsg)
{
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (pMsg->message == WM_MOUSEMOVE || pMsg->message == WM_NCMOUSEMOVE)
    {
        // A mouse that did not move is no reason to update.
        if (pState->m_ptCursorLast.x == pMsg->pt.x && pState->m_ptCursorLast.y == pMsg->pt.y &&
            pMsg->message == pState->m_nMsgLast)
            return FALSE;
        pState->m_ptCursorLast = pMsg->pt;
        pState->m_nMsgLast = pMsg->message;
        return TRUE;
    }
    // WM_PAINT and the caret's system timer (0x118) do not count either.
    return pMsg->message != WM_PAINT && pMsg->message != 0x0118;
}

BOOL CWinThread::IsIdleMessage(MSG* pMsg)
{
    return AfxIsIdleMessage(pMsg);
}

BOOL AFXAPI AfxPumpMessageInto(MSG* pMsg)
{
    CWinThread* pThread = AfxGetThread();
    if (pThread != NULL)
    {
        BOOL bResult = pThread->PumpMessage();
        if (pMsg != &pThread->m_msgCur)
            *pMsg = pThread->m_msgCur;
        return bResult;
    }
    // No thread object: the plain walk.
    if (!::GetMessage(pMsg, NULL, 0, 0))
        return FALSE;
    if (pMsg->message != WM_KICKIDLE && !CWnd::WalkPreTranslateTree(NULL, pMsg))
    {
        ::TranslateMessage(pMsg);
        ::DispatchMessage(pMsg);
    }
    return TRUE;
}

BOOL AFXAPI AfxPumpMessage()
{
    MSG msg;
    if (AfxPumpMessageInto(&msg))
        return TRUE;
    // The caller's loop ends; the loops around it must end too.
    ::PostQuitMessage((int)msg.wParam);
    return FALSE;
}

BOOL CWinThread::PumpMessage()
{
    if (!::GetMessage(&m_msgCur, NULL, 0, 0))
        return FALSE;
    if (m_msgCur.message != WM_KICKIDLE && !PreTranslateMessage(&m_msgCur))
    {
        ::TranslateMessage(&m_msgCur);
        ::DispatchMessage(&m_msgCur);
    }
    return TRUE;
}

BOOL CWinThread::DispatchThreadMessageEx(MSG* pMsg)
{
    for (const AFX_MSGMAP* pMap = GetMessageMap(); pMap != NULL;
         pMap = pMap->pfnGetBaseMap != NULL ? pMap->pfnGetBaseMap() : NULL)
    {
        for (const AFX_MSGMAP_ENTRY* lpEntry = pMap->lpEntries; lpEntry->pfn != NULL; ++lpEntry)
        {
            if (lpEntry->nSig != AfxSig_thread)
                continue;
            UINT nMessage = lpEntry->pnRegMessage != NULL ? *lpEntry->pnRegMessage : lpEntry->nMessage;
            if (nMessage == 0 || nMessage != pMsg->message)
                continue;
            AFX_MSGCALL call = { pMsg->message, pMsg->wParam, pMsg->lParam, 0, 0, NULL, 0 };
            lpEntry->pfn(this, call);
            return TRUE;
        }
    }
    return FALSE;
}

BOOL CWinThread::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->hwnd == NULL && DispatchThreadMessageEx(pMsg))
        return TRUE;

    // From the target up through its parents and owners to the main window.
    CWnd* pMainWnd = AfxGetMainWnd();
    HWND hWndMain = pMainWnd->GetSafeHwnd();
    if (CWnd::WalkPreTranslateTree(hWndMain, pMsg))
        return TRUE;

    // Windows outside the main window's family (modeless top-level windows)
    // still get the main window's accelerators.
    if (hWndMain != NULL && pMsg->hwnd != NULL && pMsg->hwnd != hWndMain && !AfxIsDescendant(hWndMain, pMsg->hwnd))
        return pMainWnd->PreTranslateMessage(pMsg);
    return FALSE;
}

LRESULT CWinThread::ProcessWndProcException(CException* e, const MSG* pMsg)
{
    AfxReportCallbackException(NULL, e, pMsg);
    if (pMsg != NULL)
    {
        if (pMsg->message == WM_CREATE)
            return -1;   // creation fails
        if (pMsg->message == WM_PAINT && pMsg->hwnd != NULL)
            ::ValidateRect(pMsg->hwnd, NULL);   // no endless repaint of a failing window
    }
    return 0;
}

static void AfxIdleUpdateWindow(CWnd* pWnd)
{
    AfxCallWndProc(pWnd, pWnd->m_hWnd, WM_IDLEUPDATECMDUI, (WPARAM)TRUE, 0);
    if (::IsWindow(pWnd->m_hWnd))
        pWnd->SendMessageToDescendants(WM_IDLEUPDATECMDUI, (WPARAM)TRUE, 0, TRUE, TRUE);
}

BOOL CWinThread::OnIdle(LONG lCount)
{
    if (lCount <= 0)
    {
        // Command-state updates: the main window and its descendants...
        CWnd* pMainWnd = m_pMainWnd;
        HWND hWndMain = pMainWnd != NULL ? pMainWnd->m_hWnd : NULL;
        if (hWndMain != NULL && ::IsWindowVisible(hWndMain))
            AfxIdleUpdateWindow(pMainWnd);

        // ...then every other frame of the thread (mini frames included).
        // A handler may destroy frames: work on a copy and recheck each one.
        std::vector<CFrameWnd*> frames = AfxGetThreadState()->m_frameList;
        for (CFrameWnd* pFrame : frames)
        {
            const std::vector<CFrameWnd*>& live = AfxGetThreadState()->m_frameList;
            bool bLive = false;
            for (CFrameWnd* p : live)
                if (p == pFrame)
                    bLive = true;
            if (!bLive || (CWnd*)pFrame == m_pMainWnd || pFrame->m_hWnd == NULL)
                continue;
            if (hWndMain != NULL && ::IsChild(hWndMain, pFrame->m_hWnd))
                continue;   // already reached as a descendant of the main window
            if (::IsWindowVisible(pFrame->m_hWnd))
                AfxIdleUpdateWindow(pFrame);
        }
    }
    else if (AfxGetMessageDepth() == 0)
    {
        // Temporary objects go, but never while a message is being handled.
        AfxDeleteTempMaps();
    }
    return lCount < 1;
}

int CWinThread::Run()
{
    BOOL bIdle = TRUE;
    LONG lIdleCount = 0;
    for (;;)
    {
        while (bIdle && !::PeekMessage(&m_msgCur, NULL, 0, 0, PM_NOREMOVE))
        {
            BOOL bMore = FALSE;
            try
            {
                bMore = OnIdle(lIdleCount++);
            }
            AFX_BARRIER_CATCH("OnIdle", NULL, bMore = FALSE)
            if (!bMore)
                bIdle = FALSE;
        }

        do
        {
            BOOL bContinue = TRUE;
            try
            {
                bContinue = PumpMessage();
            }
            AFX_BARRIER_CATCH("PreTranslateMessage", &m_msgCur, (void)0)
            if (!bContinue)
                return ExitInstance();
            if (IsIdleMessage(&m_msgCur))
            {
                bIdle = TRUE;
                lIdleCount = 0;
            }
        } while (::PeekMessage(&m_msgCur, NULL, 0, 0, PM_NOREMOVE));
    }
}
