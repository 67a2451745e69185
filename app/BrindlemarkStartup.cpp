// The program's start-up: sockets, the profile, the single-document template,
// the standard command line and the main window.
#include "BrindlemarkStartup.h"
#include "GameServices.h"
#include "resource.h"

IMPLEMENT_DYNCREATE(CStartupDocument, CDocument)
IMPLEMENT_DYNCREATE(CStartupFrame, CFrameWnd)
IMPLEMENT_DYNCREATE(CStartupView, CView)

CStartupDocument::CStartupDocument()
{
}

CStartupFrame::CStartupFrame()
{
}

CStartupView::CStartupView()
{
}

void CStartupView::OnDraw(CDC* pDC)
{
    CRect rect;
    GetClientRect(&rect);
    pDC->FillSolidRect(rect, ::GetSysColor(COLOR_WINDOW));
}

BEGIN_MESSAGE_MAP(CBrindlemarkApp, CWinApp)
    ON_COMMAND(ID_FILE_NEW, OnFileNew)
    ON_COMMAND(ID_FILE_OPEN, OnFileOpen)
    ON_COMMAND(ID_FILE_PRINT_SETUP, OnFilePrintSetup)
END_MESSAGE_MAP()

CBrindlemarkApp::CBrindlemarkApp()
{
}

BOOL CBrindlemarkApp::InitInstance()
{
    CWinApp::InitInstance();
    ConnectCoreServices();

    if (!AfxSocketInit())
    {
        AfxMessageBox(IDP_SOCKETS_INIT_FAILED);
        return FALSE;
    }

    // The profile: HKEY_CURRENT_USER\Software\Orrisfield\Brindlemark.
    SetRegistryKey("Orrisfield");
    LoadStdProfileSettings(4);

    CSingleDocTemplate* pDocTemplate = new CSingleDocTemplate(
        IDR_MAINFRAME, RUNTIME_CLASS(CStartupDocument), RUNTIME_CLASS(CStartupFrame), RUNTIME_CLASS(CStartupView));
    AddDocTemplate(pDocTemplate);

    // The standard command line: a new document (or the file named).
    CCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);
    if (!ProcessShellCommand(cmdInfo))
        return FALSE;

    m_pMainWnd->ShowWindow(SW_SHOW);
    m_pMainWnd->UpdateWindow();
    return TRUE;
}
