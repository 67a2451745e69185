// The program's start-up: sockets, the profile, the single-document template,
// the standard command line and the main window.
#include "BrindlemarkStartup.h"

#include "BrindlemarkDoc.h"
#include "BrindlemarkView.h"
#include "GameServices.h"
#include "MainFrame.h"
#include "resource.h"

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
        IDR_MAINFRAME, RUNTIME_CLASS(CBrindlemarkDoc), RUNTIME_CLASS(CMainFrame), RUNTIME_CLASS(CBrindlemarkView));
    AddDocTemplate(pDocTemplate);

    // The standard command line. A puzzle file named on it (opened from the
    // shell) is read by the game's own puzzle loader once the window is up,
    // so a file that cannot be read is reported and the game still starts.
    CCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);
    CString strPuzzleFile;
    if (cmdInfo.m_nShellCommand == CCommandLineInfo::FileOpen)
    {
        strPuzzleFile = cmdInfo.m_strFileName;
        cmdInfo.m_nShellCommand = CCommandLineInfo::FileNew;
        cmdInfo.m_strFileName.Empty();
    }
    if (!ProcessShellCommand(cmdInfo))
        return FALSE;

    // Shown, the frame puts the windows it owns (the splash, floating bars
    // and panes) in front of itself.
    m_pMainWnd->ShowWindow(SW_SHOW);
    // The bars take their commands' states now (Undo, Accept and Revert
    // disabled, Play and Elapsed checked), as the first idle pass would:
    // a start-up message's own loop holds that pass back until it closes.
    m_pMainWnd->SendMessage(WM_IDLEUPDATECMDUI, (WPARAM)TRUE, 0);
    m_pMainWnd->SendMessageToDescendants(WM_IDLEUPDATECMDUI, (WPARAM)TRUE, 0, TRUE, TRUE);
    m_pMainWnd->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);

    CBrindlemarkDoc* pDoc = GetGameDoc();
    if (!strPuzzleFile.IsEmpty() && pDoc != NULL)
    {
        BYTE bQuiet = FALSE;
        pDoc->LoadPuzzleFromFile(strPuzzleFile, bQuiet);
    }
    return TRUE;
}

BOOL CBrindlemarkApp::OnIdle(LONG lCount)
{
    // While a long operation (a new puzzle, a puzzle book) holds the main
    // window disabled, none of its commands can be chosen: their states are
    // brought up to date when it is enabled again, not between every step
    // of the work, which pumps messages and runs idle work after each one.
    if (m_pMainWnd != NULL && m_pMainWnd->GetSafeHwnd() != NULL && !m_pMainWnd->IsWindowEnabled())
        return FALSE;
    return CWinApp::OnIdle(lCount);
}
