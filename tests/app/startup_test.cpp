// The program's single-document start-up, run in-process: it starts, shows
// its frame, closes from the File menu and leaves no window or GDI object
// behind.  Also the program itself, started as a process. It runs alone:
// its count of GDI objects reads the highest handle slot in use, which
// moves with what other programs on the display do at the same time.
// ctest: lock registry
// ctest: run-serial
#include "support/wndtest.h"
#include "support/gdi_count.h"
#include "support/registry.h"
#include "window/wndimpl.h"
#include "BrindlemarkStartup.h"
#include "BrindlemarkDoc.h"
#include "MainFrame.h"
#include "XTPCommandBars.h"
#include "HTCoreServices.h"
#include "resource.h"

#include <string>

using namespace testsupport;

namespace
{

::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new Environment);

struct Counts
{
    DWORD dwGdi;
    DWORD dwUser;
    int nWindows;
    INT_PTR nPermanent;
};

Counts TakeCounts()
{
    // Temporaries of earlier messages are not leaks: free them first.
    AfxDeleteTempMaps();
    Counts c;
    c.dwGdi = testsupport::GdiHighWater();
    c.dwUser = ::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS);
    c.nWindows = CountThreadWindows();
    c.nPermanent = CWndHandleMap::GetThreadMap()->GetPermanentCount();
    return c;
}

void DeleteRecentFileSection()
{
    HKEY hKey;
    if (::RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Orrisfield\\Brindlemark", 0, KEY_ALL_ACCESS, &hKey) ==
        ERROR_SUCCESS)
    {
        ::RegDeleteKey(hKey, "Recent File List");
        ::RegCloseKey(hKey);
    }
}

TEST(ProgramStartup, StartsShowsItsFrameAndClosesWithoutLeaks)
{
    // Every run starts as the first: no saved bars or panes from other
    // programs' runs.
    testsupport::ClearUserSettings();
    testsupport::ClearGameRegistry();
    Counts before = {};

    // The first start-up also fills the system's one-time caches (fonts,
    // menu and caption bitmaps, the board's square pictures), so the counts
    // are taken around the later runs: each of those must give back
    // everything it made. The GDI high-water mark moves by a slot or two with
    // the order handles are freed in, so a leak shows as growth over the
    // runs rather than as any difference.
    const int kRuns = 7;
    for (int nRun = 0; nRun < kRuns; ++nRun)
    {
        SCOPED_TRACE(nRun);
        if (nRun == 1)
            before = TakeCounts();
        CBrindlemarkApp* pApp = new CBrindlemarkApp;
        AfxWinInit(::GetModuleHandle(NULL), NULL, (LPTSTR) "", SW_SHOWNORMAL);
        ASSERT_EQ(pApp, AfxGetApp());
        CHTCoreServices::Set(NULL);
        ASSERT_TRUE(pApp->InitInstance());
        // The start-up hands the game's services to the puzzle core.
        CHTCoreServices* pServices = CHTCoreServices::Set(NULL);
        EXPECT_TRUE(pServices != NULL);
        CHTCoreServices::Set(pServices);

        EXPECT_STREQ("Orrisfield", pApp->m_pszRegistryKey);
        EXPECT_STREQ("Brindlemark", pApp->m_pszProfileName);
        ASSERT_TRUE(pApp->m_pRecentFileList != NULL);
        EXPECT_EQ(4, pApp->m_pRecentFileList->GetSize());

        CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, pApp->m_pMainWnd);
        ASSERT_TRUE(pFrame != NULL);
        EXPECT_TRUE(pFrame->IsWindowVisible());
        CString strTitle;
        pFrame->GetWindowText(strTitle);
        EXPECT_STREQ("Untitled - Brindlemark", strTitle);
        EXPECT_TRUE(pFrame->GetActiveView() != NULL);
        EXPECT_TRUE(pFrame->GetActiveDocument() != NULL);
        EXPECT_TRUE(pFrame->GetActiveDocument()->IsKindOf(RUNTIME_CLASS(CBrindlemarkDoc)));
        // The menu bar has taken the menu over.
        EXPECT_TRUE(::GetMenu(pFrame->m_hWnd) == NULL);
        CMainFrame* pMainFrame = DYNAMIC_DOWNCAST(CMainFrame, pFrame);
        ASSERT_TRUE(pMainFrame != NULL);
        ASSERT_TRUE(pMainFrame->GetCommandBars() != NULL);
        EXPECT_TRUE(pMainFrame->GetCommandBars()->GetMenuBar() != NULL);

        // The first layout, which the frame's timer does 100 ms after it
        // starts, comes now in every run: a loaded machine then takes the
        // same path as an idle one and the counts compare alike runs.
        pFrame->SendMessage(WM_TIMER, IDT_FIRST_LAYOUT);

        // The class library's new document (the start-up's own; the keys
        // reach the game's New Puzzle) keeps the one document.
        CDocument* pDoc = pFrame->GetActiveDocument();
        pApp->OnCmdMsg(ID_FILE_NEW, CN_COMMAND, NULL, NULL);
        EXPECT_EQ(pDoc, pFrame->GetActiveDocument());

        // File > Exit, then the message loop ends the program.
        pFrame->PostMessage(WM_COMMAND, ID_APP_EXIT);
        pApp->Run();
        EXPECT_EQ(NULL, pApp->m_pMainWnd);
        delete pApp;
        EXPECT_EQ(NULL, AfxGetApp());
    }

    Counts after = TakeCounts();
    EXPECT_EQ(before.nWindows, after.nWindows);
    EXPECT_EQ(before.nPermanent, after.nPermanent);
    EXPECT_LE(after.dwGdi, before.dwGdi + 2) << "more than one GDI object lost per start";
    EXPECT_EQ(before.dwUser, after.dwUser);
    DeleteRecentFileSection();
}

TEST(ProgramStartup, TheProgramStartsAndClosesAsAProcess)
{
    char szPath[MAX_PATH];
    ::GetModuleFileName(NULL, szPath, MAX_PATH);
    std::string strExe(szPath);
    strExe = strExe.substr(0, strExe.find_last_of('\\'));
    strExe = strExe.substr(0, strExe.find_last_of('\\'));
    strExe = strExe.substr(0, strExe.find_last_of('\\')) + "\\app\\Brindlemark.exe";
    if (::GetFileAttributes(strExe.c_str()) == INVALID_FILE_ATTRIBUTES)
        GTEST_SKIP() << "the program is not built: " << strExe;

    STARTUPINFO si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    ASSERT_TRUE(::CreateProcess(strExe.c_str(), NULL, NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi));
    ::WaitForInputIdle(pi.hProcess, 10000);

    // Its main window carries the document's title.
    HWND hWndMain = NULL;
    for (int i = 0; i < 100 && hWndMain == NULL; ++i)
    {
        hWndMain = ::FindWindow(NULL, "Untitled - Brindlemark");
        if (hWndMain == NULL)
            ::Sleep(100);
    }
    ASSERT_TRUE(hWndMain != NULL);
    DWORD dwPid = 0;
    ::GetWindowThreadProcessId(hWndMain, &dwPid);
    EXPECT_EQ(pi.dwProcessId, dwPid);

    ::PostMessage(hWndMain, WM_CLOSE, 0, 0);
    EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(pi.hProcess, 20000));
    DWORD dwExit = 1;
    ::GetExitCodeProcess(pi.hProcess, &dwExit);
    EXPECT_EQ(0u, dwExit);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
}

} // namespace
