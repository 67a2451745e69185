// CWinApp: the application object, start-up (AfxWinMain), message boxes,
// document templates and the standard file commands, the command line, and
// the layer's global helpers (window classes, file names, strings).
#include "wndimpl.h"

#include <exception>
#include <mutex>
#include <set>
#include <string>
#include <vector>

IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

BEGIN_MESSAGE_MAP(CWinApp, CWinThread)
    ON_COMMAND(ID_APP_EXIT, OnAppExit)
    ON_UPDATE_COMMAND_UI(ID_FILE_MRU_FILE1, OnUpdateRecentFileMenu)
    ON_COMMAND_EX_RANGE(ID_FILE_MRU_FILE1, ID_FILE_MRU_FILE16, OnOpenRecentFile)
END_MESSAGE_MAP()

static CWinApp* g_pApp = NULL;
static AFX_MSGBOX_HOOK g_pfnMsgBoxHook = NULL;

CWinApp* AFXAPI AfxGetApp()
{
    return g_pApp;
}

LPCTSTR AFXAPI AfxGetAppName()
{
    return (g_pApp != NULL && g_pApp->m_pszAppName != NULL) ? g_pApp->m_pszAppName : "";
}

static char* AfxStrDup(LPCTSTR psz)
{
    return psz != NULL ? _strdup(psz) : NULL;
}

// Sends errors reported by exceptions (CException::ReportError) through
// AfxMessageBox, so the message-box hook sees them too.
static int AFXAPI AfxReportErrorThroughMessageBox(LPCTSTR lpszText, UINT nType)
{
    return AfxMessageBox(lpszText, nType);
}

static AFX_REPORT_ERROR_PROC g_pfnOldReportError = NULL;

// Names of the program: the app name from the title string, the module name.
static void AfxSetAppNames(CWinApp* pApp)
{
    char szPath[_MAX_PATH] = "";
    ::GetModuleFileName(pApp->m_hInstance, szPath, _MAX_PATH);
    szPath[_MAX_PATH - 1] = '\0';
    char* pszName = strrchr(szPath, '\\');
    pszName = pszName != NULL ? pszName + 1 : szPath;
    char szExeName[_MAX_PATH];
    lstrcpynA(szExeName, pszName, _MAX_PATH);
    if (char* pszExt = strrchr(szExeName, '.'))
        *pszExt = '\0';

    if (pApp->m_pszExeName == NULL)
        pApp->m_pszExeName = AfxStrDup(szExeName);

    if (pApp->m_pszAppName == NULL)
    {
        CString strTitle;
        if (strTitle.LoadString(AFX_IDS_APP_TITLE) && !strTitle.IsEmpty())
            pApp->m_pszAppName = AfxStrDup(strTitle);
        else
            pApp->m_pszAppName = AfxStrDup(szExeName);
    }

    if (pApp->m_pszHelpFilePath == NULL)
    {
        char szHelp[_MAX_PATH];
        lstrcpynA(szHelp, szPath, _MAX_PATH - 5);
        if (char* pszExt = strrchr(szHelp, '.'))
            *pszExt = '\0';
        lstrcatA(szHelp, ".HLP");
        pApp->m_pszHelpFilePath = AfxStrDup(szHelp);
    }

    if (pApp->m_pszProfileName == NULL)
    {
        if (pApp->m_pszRegistryKey != NULL)
        {
            pApp->m_pszProfileName = AfxStrDup(pApp->m_pszAppName);
        }
        else
        {
            CString strIni = CString(szExeName) + ".INI";
            pApp->m_pszProfileName = AfxStrDup(strIni);
        }
    }
    AfxGetModuleState()->m_lpszCurrentAppName = pApp->m_pszAppName;
}

CWinApp::CWinApp(LPCTSTR lpszAppName)
{
    m_pszAppName = AfxStrDup(lpszAppName);
    m_pszRegistryKey = NULL;
    m_pszExeName = NULL;
    m_pszHelpFilePath = NULL;
    m_pszProfileName = NULL;
    m_hInstance = ::GetModuleHandle(NULL);
    m_hPrevInstance = NULL;
    m_lpCmdLine = NULL;
    m_nCmdShow = SW_SHOWNORMAL;
    m_pRecentFileList = NULL;
    m_nNumPreviewPages = 0;
    m_hcurWaitCursorRestore = NULL;
    m_nWaitCursorCount = 0;
    m_hDevMode = NULL;
    m_hDevNames = NULL;

    // This object is the application and the main thread's thread object.
    g_pApp = this;
    AfxGetModuleState()->m_pCurrentWinApp = this;
    AfxGetThreadState()->m_pThread = this;
    m_hThread = ::GetCurrentThread();
    m_nThreadID = ::GetCurrentThreadId();

    AfxSetAppNames(this);
    g_pfnOldReportError = AfxSetReportErrorProc(&AfxReportErrorThroughMessageBox);
}

CWinApp::~CWinApp()
{
    // The document templates belong to the application.
    while (!m_templateList.IsEmpty())
    {
        CDocTemplate* pTemplate = (CDocTemplate*)m_templateList.RemoveHead();
        if (pTemplate->m_bAutoDelete)
            delete pTemplate;
    }
    delete m_pRecentFileList;
    m_pRecentFileList = NULL;
    if (m_hDevMode != NULL)
        ::GlobalFree(m_hDevMode);
    if (m_hDevNames != NULL)
        ::GlobalFree(m_hDevNames);
    m_hDevMode = m_hDevNames = NULL;

    free((void*)m_pszAppName);
    free((void*)m_pszRegistryKey);
    free((void*)m_pszExeName);
    free((void*)m_pszHelpFilePath);
    free((void*)m_pszProfileName);
    m_pszAppName = m_pszRegistryKey = m_pszExeName = m_pszHelpFilePath = m_pszProfileName = NULL;

    if (g_pApp == this)
    {
        g_pApp = NULL;
        AfxGetModuleState()->m_pCurrentWinApp = NULL;
        AfxGetModuleState()->m_lpszCurrentAppName = NULL;
        AfxSetReportErrorProc(g_pfnOldReportError);
    }
    // The main thread's pseudo handle is not ours to close.
    m_hThread = NULL;
}

BOOL CWinApp::InitApplication()
{
    return TRUE;
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::ExitInstance()
{
    // Settings are written only when they were loaded (the list exists).
    try
    {
        SaveStdProfileSettings();
    }
    AFX_BARRIER_CATCH("ExitInstance", NULL, (void)0)
    return (int)m_msgCur.wParam;
}

int CWinApp::Run()
{
    if (m_pMainWnd == NULL)
        AfxPostQuitMessage(0);   // nothing to run for
    return CWinThread::Run();
}

BOOL CWinApp::OnIdle(LONG lCount)
{
    BOOL bMore = CWinThread::OnIdle(lCount);
    if (lCount <= 0)
    {
        for (POSITION pos = m_templateList.GetHeadPosition(); pos != NULL;)
        {
            CDocTemplate* pTemplate = (CDocTemplate*)m_templateList.GetNext(pos);
            for (POSITION posDoc = pTemplate->GetFirstDocPosition(); posDoc != NULL;)
                pTemplate->GetNextDoc(posDoc)->OnIdle();
        }
    }
    return bMore;
}

void CWinApp::DoWaitCursor(int nCode)
{
    m_nWaitCursorCount += nCode;
    if (m_nWaitCursorCount > 0)
    {
        HCURSOR hcurPrev = ::SetCursor(::LoadCursor(NULL, IDC_WAIT));
        if (nCode > 0 && m_nWaitCursorCount == 1)
            m_hcurWaitCursorRestore = hcurPrev;
    }
    else
    {
        m_nWaitCursorCount = 0;
        ::SetCursor(m_hcurWaitCursorRestore);
    }
}

void CWinApp::WinHelp(DWORD_PTR dwData, UINT nCmd)
{
    // The program has no help file.
    (void)dwData;
    (void)nCmd;
}

void CWinApp::DoEnableModeless(BOOL bEnable)
{
    CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, m_pMainWnd);
    if (pFrame != NULL && pFrame->GetSafeHwnd() != NULL)
        pFrame->EnableModeless(bEnable);
}

void CWinApp::OnHelp()
{
}

void CWinApp::OnAppExit()
{
    if (m_pMainWnd != NULL)
        m_pMainWnd->SendMessage(WM_CLOSE);
}

void CWinApp::HideApplication()
{
    if (m_pMainWnd != NULL && m_pMainWnd->m_hWnd != NULL)
        m_pMainWnd->ShowWindow(SW_HIDE);
}

/////////////////////////////////////////////////////////////////////////////
// Start-up

BOOL AFXAPI AfxWinInit(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow)
{
    if (hInstance == NULL)
        hInstance = ::GetModuleHandle(NULL);
    AfxGetModuleState()->m_hCurrentInstanceHandle = hInstance;
    if (AfxGetModuleState()->m_hCurrentResourceHandle == NULL)
        AfxGetModuleState()->m_hCurrentResourceHandle = hInstance;

    if (CWinApp* pApp = AfxGetApp())
    {
        pApp->m_hInstance = hInstance;
        pApp->m_hPrevInstance = hPrevInstance;
        pApp->m_lpCmdLine = lpCmdLine;
        pApp->m_nCmdShow = nCmdShow;
        AfxSetAppNames(pApp);
    }
    if (CWinThread* pThread = AfxGetThread())
    {
        pThread->m_hThread = ::GetCurrentThread();
        pThread->m_nThreadID = ::GetCurrentThreadId();
    }
    AfxDeferRegisterClass(AFX_WNDCOMMCTLS_REG);
    return TRUE;
}

void AFXAPI AfxWinTerm()
{
    AfxDeleteTempMaps();
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (pState->m_hHookOldCbtFilter != NULL)
    {
        ::UnhookWindowsHookEx(pState->m_hHookOldCbtFilter);
        pState->m_hHookOldCbtFilter = NULL;
    }
}

int AFXAPI AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow)
{
    CWinThread* pThread = AfxGetThread();
    CWinApp* pApp = AfxGetApp();
    if (pThread == NULL)
        return -1;   // the program defines no application object

    int nReturnCode = -1;
    BOOL bInit = FALSE;
    try
    {
        bInit = AfxWinInit(hInstance, hPrevInstance, lpCmdLine, nCmdShow) &&
                (pApp == NULL || pApp->InitApplication()) && pThread->InitInstance();
    }
    AFX_BARRIER_CATCH("InitInstance", NULL, bInit = FALSE)

    if (!bInit)
    {
        // ExitInstance always runs, so what was loaded is saved and freed.
        try
        {
            if (pThread->m_pMainWnd != NULL && pThread->m_pMainWnd->m_hWnd != NULL)
                pThread->m_pMainWnd->DestroyWindow();
            nReturnCode = pThread->ExitInstance();
        }
        AFX_BARRIER_CATCH("ExitInstance", NULL, (void)0)
    }
    else
    {
        try
        {
            nReturnCode = pThread->Run();   // ends with ExitInstance
        }
        AFX_BARRIER_CATCH("Run", NULL, (void)0)
    }
    AfxWinTerm();
    return nReturnCode;
}

/////////////////////////////////////////////////////////////////////////////
// Message boxes

AFX_MSGBOX_HOOK AFXAPI AfxSetMessageBoxHook(AFX_MSGBOX_HOOK pfnHook)
{
    AFX_MSGBOX_HOOK pfnOld = g_pfnMsgBoxHook;
    g_pfnMsgBoxHook = pfnHook;
    return pfnOld;
}

AFX_MSGBOX_HOOK AFXAPI AfxGetMessageBoxHook()
{
    return g_pfnMsgBoxHook;
}

// The owner of an application's message box: the window last active in the
// main window's family, unless a modal window holds that one; the family's
// top-level window, which waits too, in *phWndTop (to be enabled again
// afterwards). A type without an icon gets the one its buttons call for.
static HWND AfxMessageBoxOwner(UINT& nType, HWND* phWndTop)
{
    HWND hWnd = CWnd::GetSafeOwner_(NULL, NULL);
    if (hWnd != NULL && !::IsWindowEnabled(hWnd))
        hWnd = NULL;
    *phWndTop = NULL;
    if (hWnd != NULL)
        CWnd::GetSafeOwner_(hWnd, phWndTop);

    if ((nType & MB_ICONMASK) == 0)
    {
        switch (nType & MB_TYPEMASK)
        {
        case MB_OK:
        case MB_OKCANCEL:
            nType |= MB_ICONEXCLAMATION;
            break;
        case MB_YESNO:
        case MB_YESNOCANCEL:
            nType |= MB_ICONQUESTION;
            break;
        default:
            break;
        }
    }
    return hWnd;
}

int CWinApp::DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt)
{
    (void)nIDPrompt;
    HWND hWndTop = NULL;
    HWND hWnd = AfxMessageBoxOwner(nType, &hWndTop);
    const int nResult = ::MessageBox(hWnd, lpszPrompt, m_pszAppName, nType);
    if (hWndTop != NULL && ::IsWindow(hWndTop))
        ::EnableWindow(hWndTop, TRUE);
    return nResult;
}

int AFXAPI AfxMessageBox(LPCTSTR lpszText, UINT nType, UINT nIDHelp)
{
    if (lpszText == NULL)
        lpszText = "";
    if (g_pfnMsgBoxHook != NULL)
        return g_pfnMsgBoxHook(lpszText, nType, nIDHelp);
    if (CWinApp* pApp = AfxGetApp())
        return pApp->DoMessageBox(lpszText, nType, nIDHelp);
    return ::MessageBox(NULL, lpszText, NULL, nType);
}

int AFXAPI AfxMessageBoxW(LPCWSTR lpszText, UINT nType, UINT nIDHelp)
{
    if (lpszText == NULL)
        lpszText = L"";
    if (g_pfnMsgBoxHook != NULL)
        return g_pfnMsgBoxHook(CString(lpszText), nType, nIDHelp);
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL)
        return ::MessageBoxW(NULL, lpszText, NULL, nType);
    // The application's name, in the system's code page, as its title.
    const CString strTitle = AfxGetAppName();
    std::vector<wchar_t> title((size_t)strTitle.GetLength() + 1, L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, strTitle, -1, title.data(), (int)title.size());
    HWND hWndTop = NULL;
    HWND hWnd = AfxMessageBoxOwner(nType, &hWndTop);
    const int nResult = ::MessageBoxW(hWnd, lpszText, title.data(), nType);
    if (hWndTop != NULL && ::IsWindow(hWndTop))
        ::EnableWindow(hWndTop, TRUE);
    return nResult;
}

int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp)
{
    CString string;
    string.LoadString(nIDPrompt);
    if (nIDHelp == (UINT)-1)
        nIDHelp = nIDPrompt;
    return AfxMessageBox(string, nType, nIDHelp);
}

/////////////////////////////////////////////////////////////////////////////
// Window classes

BOOL AFXAPI AfxRegisterClass(WNDCLASS* lpWndClass)
{
    WNDCLASS wndcls;
    if (::GetClassInfo(lpWndClass->hInstance, lpWndClass->lpszClassName, &wndcls))
        return TRUE;   // already registered
    return ::RegisterClass(lpWndClass) != 0;
}

LPCTSTR AFXAPI AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon)
{
    // Names are kept for the life of the process, so callers may hold them.
    static std::mutex* s_pMutex = new std::mutex;
    static std::set<std::string>* s_pNames = new std::set<std::string>;

    HINSTANCE hInst = AfxGetInstanceHandle();
    char szName[128];
    wsprintfA(szName, "Afx:%p:%x:%p:%p:%p", (void*)hInst, nClassStyle, (void*)hCursor, (void*)hbrBackground,
              (void*)hIcon);

    std::lock_guard<std::mutex> lock(*s_pMutex);
    auto it = s_pNames->insert(szName).first;
    LPCTSTR lpszName = it->c_str();

    WNDCLASS wndcls;
    if (!::GetClassInfo(hInst, lpszName, &wndcls))
    {
        ZeroMemory(&wndcls, sizeof(wndcls));
        wndcls.style = nClassStyle;
        wndcls.lpfnWndProc = ::DefWindowProc;
        wndcls.hInstance = hInst;
        wndcls.hIcon = hIcon;
        wndcls.hCursor = hCursor;
        wndcls.hbrBackground = hbrBackground;
        wndcls.lpszClassName = lpszName;
        if (!::RegisterClass(&wndcls))
            AfxThrowResourceException();
    }
    return lpszName;
}

static BOOL AfxRegisterLayerClass(LPCTSTR lpszClassName, UINT nStyle, HBRUSH hbrBackground, HICON hIcon)
{
    WNDCLASS wndcls;
    ZeroMemory(&wndcls, sizeof(wndcls));
    wndcls.style = nStyle;
    wndcls.lpfnWndProc = ::DefWindowProc;
    wndcls.hInstance = AfxGetInstanceHandle();
    wndcls.hCursor = ::LoadCursor(NULL, IDC_ARROW);
    wndcls.hbrBackground = hbrBackground;
    wndcls.hIcon = hIcon;
    wndcls.lpszClassName = lpszClassName;
    return AfxRegisterClass(&wndcls);
}

BOOL AFXAPI AfxDeferRegisterClass(LONG fToRegister)
{
    BOOL bResult = TRUE;
    if (fToRegister & AFX_WND_REG)
        bResult &= AfxRegisterLayerClass(AFX_WND_CLASS, CS_DBLCLKS, NULL, NULL);
    if (fToRegister & AFX_WNDCONTROLBAR_REG)
        bResult &= AfxRegisterLayerClass(AFX_WNDCONTROLBAR_CLASS, CS_DBLCLKS, (HBRUSH)(COLOR_BTNFACE + 1), NULL);
    if (fToRegister & AFX_WNDFRAMEORVIEW_REG)
        bResult &= AfxRegisterLayerClass(AFX_WNDFRAMEORVIEW_CLASS, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW,
                                         (HBRUSH)(COLOR_WINDOW + 1), ::LoadIcon(NULL, IDI_APPLICATION));
    if (fToRegister & AFX_WNDMDIFRAME_REG)
        bResult &= AfxRegisterLayerClass(AFX_WNDMDIFRAME_CLASS, CS_DBLCLKS, NULL, ::LoadIcon(NULL, IDI_APPLICATION));
    if (fToRegister & AFX_WNDCOMMCTLS_REG)
    {
        INITCOMMONCONTROLSEX init;
        init.dwSize = sizeof(init);
        init.dwICC = ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_TAB_CLASSES | ICC_COOL_CLASSES | ICC_USEREX_CLASSES |
                     ICC_DATE_CLASSES;
        if (!::InitCommonControlsEx(&init))
            ::InitCommonControls();
    }
    return bResult;
}

/////////////////////////////////////////////////////////////////////////////
// File names

UINT AFXAPI AfxGetFileName(LPCTSTR lpszPathName, LPTSTR lpszTitle, UINT nMax)
{
    if (lpszPathName == NULL)
        lpszPathName = "";
    LPCTSTR lpszName = lpszPathName;
    for (LPCTSTR p = lpszPathName; *p != '\0'; p = ::CharNext(p))
    {
        if (*p == '\\' || *p == '/' || *p == ':')
            lpszName = p + 1;
    }
    if (lpszTitle == NULL)
        return (UINT)lstrlenA(lpszName) + 1;
    if (nMax > 0)
        lstrcpynA(lpszTitle, lpszName, (int)nMax);
    return 0;
}

UINT AFXAPI AfxGetFileTitle(LPCTSTR lpszPathName, LPTSTR lpszTitle, UINT nMax)
{
    // The name with its extension, whatever the shell's display settings.
    return AfxGetFileName(lpszPathName, lpszTitle, nMax);
}

BOOL AFXAPI AfxFullPath(LPTSTR lpszPathOut, LPCTSTR lpszFileIn)
{
    LPTSTR lpszFilePart;
    DWORD dwLen = ::GetFullPathName(lpszFileIn, _MAX_PATH, lpszPathOut, &lpszFilePart);
    if (dwLen == 0 || dwLen >= _MAX_PATH)
    {
        lstrcpynA(lpszPathOut, lpszFileIn, _MAX_PATH);
        return FALSE;
    }
    return TRUE;
}

BOOL AFXAPI AfxComparePath(LPCTSTR lpszPath1, LPCTSTR lpszPath2)
{
    if (lpszPath1 == NULL || lpszPath2 == NULL)
        return FALSE;
    return lstrcmpiA(lpszPath1, lpszPath2) == 0;
}

BOOL AFXAPI AfxInitRichEdit2()
{
    static HMODULE s_hRichEdit = NULL;
    if (s_hRichEdit == NULL)
        s_hRichEdit = ::LoadLibraryA("riched20.dll");
    return s_hRichEdit != NULL;
}

BOOL AFXAPI AfxInitRichEdit()
{
    // RichEdit20A is what the program's rich controls use.
    return AfxInitRichEdit2();
}

BOOL AFXAPI AfxHelpEnabled()
{
    return FALSE;
}

/////////////////////////////////////////////////////////////////////////////
// Document templates and file commands

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate)
{
    if (pTemplate == NULL)
        return;
    pTemplate->LoadTemplate();
    m_templateList.AddTail(pTemplate);
}

POSITION CWinApp::GetFirstDocTemplatePosition() const
{
    return m_templateList.GetHeadPosition();
}

CDocTemplate* CWinApp::GetNextDocTemplate(POSITION& pos) const
{
    return (CDocTemplate*)m_templateList.GetNext(pos);
}

int CWinApp::GetOpenDocumentCount()
{
    int nCount = 0;
    for (POSITION pos = m_templateList.GetHeadPosition(); pos != NULL;)
    {
        CDocTemplate* pTemplate = (CDocTemplate*)m_templateList.GetNext(pos);
        for (POSITION posDoc = pTemplate->GetFirstDocPosition(); posDoc != NULL;)
        {
            pTemplate->GetNextDoc(posDoc);
            ++nCount;
        }
    }
    return nCount;
}

BOOL CWinApp::SaveAllModified()
{
    for (POSITION pos = m_templateList.GetHeadPosition(); pos != NULL;)
    {
        CDocTemplate* pTemplate = (CDocTemplate*)m_templateList.GetNext(pos);
        if (!pTemplate->SaveAllModified())
            return FALSE;
    }
    return TRUE;
}

void CWinApp::CloseAllDocuments(BOOL bEndSession)
{
    for (POSITION pos = m_templateList.GetHeadPosition(); pos != NULL;)
    {
        CDocTemplate* pTemplate = (CDocTemplate*)m_templateList.GetNext(pos);
        pTemplate->CloseAllDocuments(bEndSession);
    }
}

void CWinApp::OnFileOpen()
{
    CString strNewName;
    if (!DoPromptFileName(strNewName, AFX_IDS_OPENFILE, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, TRUE, NULL))
        return;   // cancelled
    OpenDocumentFile(strNewName);
}

CDocument* CWinApp::OpenDocumentFile(LPCTSTR lpszFileName)
{
    if (lpszFileName == NULL || *lpszFileName == '\0')
        return NULL;
    char szPath[_MAX_PATH];
    AfxFullPath(szPath, lpszFileName);

    CDocTemplate* pBestTemplate = NULL;
    CDocument* pOpenDocument = NULL;
    CDocTemplate::Confidence bestMatch = CDocTemplate::noAttempt;
    for (POSITION pos = m_templateList.GetHeadPosition(); pos != NULL;)
    {
        CDocTemplate* pTemplate = (CDocTemplate*)m_templateList.GetNext(pos);
        CDocument* pDocMatch = NULL;
        CDocTemplate::Confidence match = pTemplate->MatchDocType(szPath, pDocMatch);
        if (match > bestMatch)
        {
            bestMatch = match;
            pBestTemplate = pTemplate;
        }
        if (match == CDocTemplate::yesAlreadyOpen)
        {
            pOpenDocument = pDocMatch;
            break;
        }
    }

    if (pOpenDocument != NULL)
    {
        // Already open: bring its frame forward.
        POSITION posView = pOpenDocument->GetFirstViewPosition();
        if (posView != NULL)
        {
            CView* pView = pOpenDocument->GetNextView(posView);
            if (CFrameWnd* pFrame = pView->GetParentFrame())
                pFrame->ActivateFrame();
        }
        return pOpenDocument;
    }
    if (pBestTemplate == NULL)
    {
        AfxMessageBox(AFX_IDP_FAILED_TO_OPEN_DOC);
        return NULL;
    }
    return pBestTemplate->OpenDocumentFile(szPath);
}

void CWinApp::AddToRecentFileList(LPCTSTR lpszPathName)
{
    if (m_pRecentFileList != NULL)
        m_pRecentFileList->Add(lpszPathName);
}

BOOL CWinApp::OnOpenRecentFile(UINT nID)
{
    if (m_pRecentFileList == NULL)
        return FALSE;
    int nIndex = (int)nID - ID_FILE_MRU_FILE1;
    if (nIndex < 0 || nIndex >= m_pRecentFileList->GetSize() || (*m_pRecentFileList)[nIndex].IsEmpty())
        return FALSE;
    CString strName = (*m_pRecentFileList)[nIndex];
    if (OpenDocumentFile(strName) == NULL)
    {
        // Forget the entry only when the file is gone (not when the user
        // merely cancelled).
        if (::GetFileAttributes(strName) == INVALID_FILE_ATTRIBUTES)
        {
            for (int i = 0; i < m_pRecentFileList->GetSize(); ++i)
            {
                if ((*m_pRecentFileList)[i] == strName)
                {
                    m_pRecentFileList->Remove(i);
                    break;
                }
            }
        }
    }
    return TRUE;
}

void CWinApp::OnUpdateRecentFileMenu(CCmdUI* pCmdUI)
{
    if (m_pRecentFileList == NULL)
        pCmdUI->Enable(FALSE);
    else
        m_pRecentFileList->UpdateMenu(pCmdUI);
}

/////////////////////////////////////////////////////////////////////////////
// Command line

CCommandLineInfo::CCommandLineInfo()
    : m_bShowSplash(TRUE), m_bRunEmbedded(FALSE), m_bRunAutomated(FALSE), m_nShellCommand(FileNew)
{
}

CCommandLineInfo::~CCommandLineInfo()
{
}

void CCommandLineInfo::ParseParam(const TCHAR* pszParam, BOOL bFlag, BOOL bLast)
{
    if (bFlag)
        ParseParamFlag(pszParam);
    else
        ParseParamNotFlag(pszParam);
    ParseLast(bLast);
}

void CCommandLineInfo::ParseParamFlag(const char* pszParam)
{
    if (lstrcmpiA(pszParam, "pt") == 0)
        m_nShellCommand = FilePrintTo;
    else if (lstrcmpiA(pszParam, "p") == 0)
        m_nShellCommand = FilePrint;
    else if (lstrcmpiA(pszParam, "Register") == 0 || lstrcmpiA(pszParam, "Regserver") == 0)
        m_nShellCommand = AppRegister;
    else if (lstrcmpiA(pszParam, "Unregister") == 0 || lstrcmpiA(pszParam, "Unregserver") == 0)
        m_nShellCommand = AppUnregister;
    else if (lstrcmpiA(pszParam, "dde") == 0)
        m_nShellCommand = FileDDE;
    else if (lstrcmpiA(pszParam, "Embedding") == 0)
    {
        m_bRunEmbedded = TRUE;
        m_bShowSplash = FALSE;
    }
    else if (lstrcmpiA(pszParam, "Automation") == 0)
    {
        m_bRunAutomated = TRUE;
        m_bShowSplash = FALSE;
    }
    else if (lstrcmpiA(pszParam, "nologo") == 0)
    {
        m_bShowSplash = FALSE;
    }
    // Other flags (a test runner's, for instance) are not ours: ignored.
}

void CCommandLineInfo::ParseParamNotFlag(const TCHAR* pszParam)
{
    if (m_strFileName.IsEmpty())
        m_strFileName = pszParam;
    else if (m_nShellCommand == FilePrintTo && m_strPrinterName.IsEmpty())
        m_strPrinterName = pszParam;
    else if (m_nShellCommand == FilePrintTo && m_strDriverName.IsEmpty())
        m_strDriverName = pszParam;
    else if (m_nShellCommand == FilePrintTo && m_strPortName.IsEmpty())
        m_strPortName = pszParam;
}

void CCommandLineInfo::ParseLast(BOOL bLast)
{
    if (bLast && m_nShellCommand == FileNew && !m_strFileName.IsEmpty())
        m_nShellCommand = FileOpen;
}

void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo)
{
    for (int i = 1; i < __argc; i++)
    {
        const char* pszParam = __argv[i];
        if (pszParam == NULL)
            continue;
        BOOL bFlag = FALSE;
        BOOL bLast = (i + 1) == __argc;
        if (pszParam[0] == '-' || pszParam[0] == '/')
        {
            bFlag = TRUE;
            ++pszParam;
        }
        rCmdInfo.ParseParam(pszParam, bFlag, bLast);
    }
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& rCmdInfo)
{
    BOOL bResult = TRUE;
    switch (rCmdInfo.m_nShellCommand)
    {
    case CCommandLineInfo::FileNew:
        if (!OnCmdMsg(ID_FILE_NEW, CN_COMMAND, NULL, NULL))
            OnFileNew();
        if (m_pMainWnd == NULL)
            bResult = FALSE;
        break;

    case CCommandLineInfo::FileOpen:
        if (OpenDocumentFile(rCmdInfo.m_strFileName) == NULL || m_pMainWnd == NULL)
            bResult = FALSE;
        break;

    case CCommandLineInfo::FilePrint:
    case CCommandLineInfo::FilePrintTo:
        // Print the document without showing the window, then end the
        // program. The view prints on 57608, from the printer named by /pt,
        // else the one chosen before, else the default one; a failure is told
        // there.
        m_nCmdShow = SW_HIDE;
        if (OpenDocumentFile(rCmdInfo.m_strFileName) != NULL && m_pMainWnd != NULL)
        {
            m_pCmdInfo = &rCmdInfo;
            m_pMainWnd->SendMessage(WM_COMMAND, ID_FILE_PRINT_DIRECT);
            m_pCmdInfo = NULL;
        }
        bResult = FALSE;
        break;

    case CCommandLineInfo::FileDDE:
    case CCommandLineInfo::AppRegister:
    case CCommandLineInfo::AppUnregister:
        // Nothing to register and no DDE conversations: the program ends.
        bResult = FALSE;
        break;

    case CCommandLineInfo::FileNothing:
    default:
        break;
    }
    return bResult;
}
