// The game as the player meets it: New Puzzle of a 17 x 17 puzzle from the
// command to the painted board (progress window included), a click on the
// board to its repaint, the start of Brindlemark.exe to its first painted
// frame, and the GDI objects, USER objects, windows and memory over 200 new
// puzzles and 2,000 random clicks with undo and branches.
#include "bench_ui.h"

#include <afxwin.h>

#include "ApplicationInfo.h"
#include "BrindlemarkDoc.h"
#include "BrindlemarkStartup.h"
#include "BrindlemarkView.h"
#include "GameQuestions.h"
#include "GameServices.h"
#include "MainFrame.h"
#include "ProfileChoosers.h"
#include "RookMessageDlgs.h"
#include "resource.h"

#include <stdio.h>
#include <stdlib.h>

#include <string>

namespace
{
int s_nGrade = 3;   // the built-in 17 x 17 profile

// The game's questions answered without dialogs: the chosen profiles, yes
// to every confirmation but the offer of another puzzle, never save.
BOOL AFXAPI ChooseProfiles(int& nGrade, int& nAppearance)
{
    nGrade = s_nGrade;
    nAppearance = 0;
    return TRUE;
}
INT_PTR AFXAPI AnswerYesNo(const CString& strMessage, const CString&, const CString&)
{
    return strMessage.Find("another") >= 0 ? 2 : 1;
}
INT_PTR AFXAPI AnswerDontSave(const CString&, const CString&, const CString&, const CString&)
{
    return IDNO;
}
INT_PTR AFXAPI AnswerInfo(const CString&, bool)
{
    return IDOK;
}
INT_PTR AFXAPI NoProfileList(int, CWnd*, CHTDataContainer*, int*, BOOL)
{
    return IDCANCEL;
}

// The program started in this process, its frame 800 x 600 on the screen.
class RunningGame
{
public:
    RunningGame()
    {
        SetNewPuzzleQuestion(&ChooseProfiles);
        SetYesNoMessageHandler(&AnswerYesNo);
        SetYesNoCancelMessageHandler(&AnswerDontSave);
        SetInfoMessageHandler(&AnswerInfo);
        SetProfileListHandler(&NoProfileList);
        SetShellOpenHandler(&Ignore);
        m_pApp = new CBrindlemarkApp;
        AfxWinInit(::GetModuleHandle(NULL), NULL, (LPTSTR) "", SW_SHOWNORMAL);
        m_bStarted = m_pApp->InitInstance() != FALSE;
        if (m_bStarted)
        {
            GetMainFrame()->SetWindowPos(NULL, 0, 0, 800, 600, SWP_NOZORDER | SWP_NOACTIVATE);
            bench_ui::Pump();
        }
    }
    ~RunningGame()
    {
        CMainFrame* pFrame = GetMainFrame();
        if (pFrame != NULL && pFrame->GetSafeHwnd() != NULL)
        {
            GetGameDoc()->GetCurrent().m_bModified = FALSE;
            pFrame->DestroyWindow();
        }
        MSG msg;
        while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
            ;
        m_pApp->ExitInstance();
        delete m_pApp;
    }
    bool Started() const { return m_bStarted; }
    CMainFrame* Frame() { return GetMainFrame(); }
    CBrindlemarkDoc* Doc() { return GetGameDoc(); }
    CBrindlemarkView* View() { return DYNAMIC_DOWNCAST(CBrindlemarkView, GetActiveGameView()); }
    void Command(UINT nID) { Frame()->SendMessage(WM_COMMAND, nID, 0); }
    // A click on a square, the view repainted.
    void Click(int nColumn, int nRow, bool bRight)
    {
        CBrindlemarkView* pView = View();
        const int s = pView->m_nSquareSize;
        const int x = pView->m_nBoardLeft + nColumn * s + s / 2, y = pView->m_nBoardTop + nRow * s + s / 2;
        pView->SendMessage(bRight ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, bRight ? MK_RBUTTON : MK_LBUTTON,
                           MAKELPARAM(x, y));
        pView->SendMessage(bRight ? WM_RBUTTONUP : WM_LBUTTONUP, 0, MAKELPARAM(x, y));
        pView->UpdateWindow();
    }
    void NewPuzzle()
    {
        Doc()->GetCurrent().m_bModified = FALSE;
        Command(ID_NEW_PUZZLE);
        View()->UpdateWindow();
    }

private:
    static void AFXAPI Ignore(LPCTSTR, int) {}
    CBrindlemarkApp* m_pApp = nullptr;
    bool m_bStarted = false;
};

// The highest GDI (brushes) or USER (menus) handle index in use: freed
// slots are reused first, so it grows only by what is kept. GetGuiResources
// answers 0 under Wine.
DWORD GdiHighWater()
{
    HBRUSH brushes[64];
    DWORD dwMax = 0;
    for (int i = 0; i < 64; i++)
    {
        brushes[i] = ::CreateSolidBrush(RGB(i, 0, 0));
        dwMax = std::max(dwMax, (DWORD)LOWORD((DWORD_PTR)brushes[i]));
    }
    for (int i = 0; i < 64; i++)
        ::DeleteObject(brushes[i]);
    return dwMax;
}

DWORD UserHighWater()
{
    HMENU menus[64];
    DWORD dwMax = 0;
    for (int i = 0; i < 64; i++)
    {
        menus[i] = ::CreateMenu();
        dwMax = std::max(dwMax, (DWORD)LOWORD((DWORD_PTR)menus[i]));
    }
    for (int i = 0; i < 64; i++)
        ::DestroyMenu(menus[i]);
    return dwMax;
}

BOOL CALLBACK CountWindow(HWND hWnd, LPARAM lParam)
{
    (*(int*)lParam)++;
    ::EnumChildWindows(hWnd, &CountWindow, lParam);
    return TRUE;
}

int ThreadWindows()
{
    int n = 0;
    ::EnumThreadWindows(::GetCurrentThreadId(), &CountWindow, (LPARAM)&n);
    return n;
}

// The committed private memory of the process (Wine leaves the process
// memory counters empty), in megabytes.
double PrivateMegabytes()
{
    SIZE_T nCommitted = 0;
    MEMORY_BASIC_INFORMATION mbi;
    const BYTE* p = NULL;
    while (::VirtualQuery(p, &mbi, sizeof(mbi)) == sizeof(mbi))
    {
        if (mbi.State == MEM_COMMIT && mbi.Type == MEM_PRIVATE)
            nCommitted += mbi.RegionSize;
        const BYTE* pNext = static_cast<const BYTE*>(mbi.BaseAddress) + mbi.RegionSize;
        if (pNext <= p)
            break;
        p = pNext;
    }
    return nCommitted / (1024.0 * 1024.0);
}

struct Counts
{
    DWORD dwGdi, dwUser;
    int nWindows;
    double dMemory;
};

Counts TakeCounts()
{
    AfxDeleteTempMaps();
    return {GdiHighWater(), UserHighWater(), ThreadWindows(), PrivateMegabytes()};
}

// Random play: clicks of both buttons, Undo, and branches begun, accepted
// and reverted.
void PlayRandomly(RunningGame& game, int nClicks)
{
    CBrindlemarkDoc* pDoc = game.Doc();
    for (int i = 0; i < nClicks; i++)
    {
        const int r = rand() % 100;
        const CHTDataContainer& puzzle = pDoc->GetCurrent();
        if (r < 70 || puzzle.m_nColumns <= 0)
            game.Click(rand() % std::max(1, puzzle.m_nColumns), rand() % std::max(1, puzzle.m_nRows), r % 4 == 0);
        else if (r < 85)
            game.Command(ID_UNDO_MOVE);
        else if (r < 92 && !pDoc->m_Controller.IsBranchOpen())
            game.Command(ID_BRANCH_BEGIN);
        else if (r < 96 && pDoc->m_Controller.IsBranchOpen())
            game.Command(ID_BRANCH_REVERT);
        else if (pDoc->m_Controller.IsBranchOpen())
            game.Command(ID_BRANCH_ACCEPT);
        bench_ui::Pump();
    }
}

std::string ProgramPath()
{
    char szPath[MAX_PATH];
    ::GetModuleFileName(NULL, szPath, MAX_PATH);
    std::string strPath(szPath);
    strPath = strPath.substr(0, strPath.find_last_of('\\'));
    strPath = strPath.substr(0, strPath.find_last_of('\\'));
    return strPath + "\\app\\Brindlemark.exe";
}

struct FindFrame
{
    DWORD dwPid;
    HWND hWnd;
};

BOOL CALLBACK FindVisibleFrame(HWND hWnd, LPARAM lParam)
{
    FindFrame* pFind = (FindFrame*)lParam;
    DWORD dwPid = 0;
    ::GetWindowThreadProcessId(hWnd, &dwPid);
    char szTitle[128] = "";
    ::GetWindowText(hWnd, szTitle, sizeof(szTitle));
    if (dwPid == pFind->dwPid && ::IsWindowVisible(hWnd) && strcmp(szTitle, "Untitled - Brindlemark") == 0)
    {
        pFind->hWnd = hWnd;
        return FALSE;
    }
    return TRUE;
}
} // namespace

BM_UI_BENCH(game)
{
    RunningGame game;
    if (!game.Started())
    {
        printf("  the game did not start\n");
        return;
    }
    game.Frame()->ShowWindow(SW_SHOW);
    srand(12);

    s_nGrade = 3;
    bench_ui::Report("New Puzzle 17x17, command to painted board", bench_ui::MedianMs(20, [&] { game.NewPuzzle(); }),
                     "ms", 50);

    CBrindlemarkDoc* pDoc = game.Doc();
    int nClick = 0;
    bench_ui::Report("click on a 17x17 board to its repaint", bench_ui::MedianMs(200, [&] {
                         nClick++;
                         game.Click(nClick % 17, (nClick / 17) % 17, false);
                     }),
                     "ms", 5);
    pDoc->GetCurrent().m_bModified = FALSE;

    // Growth: a warm-up round fills the caches, then 200 puzzles of every
    // size with 2,000 random clicks among them.
    for (int i = 0; i < 4; i++)
    {
        s_nGrade = i;
        game.NewPuzzle();
        PlayRandomly(game, 50);
    }
    const Counts before = TakeCounts();
    for (int i = 0; i < 200; i++)
    {
        s_nGrade = i % 4;
        game.NewPuzzle();
        PlayRandomly(game, 10);
    }
    const Counts after = TakeCounts();
    bench_ui::Report("GDI objects gained over 200 puzzles, 2,000 clicks", (double)after.dwGdi - before.dwGdi, "",
                     0);
    bench_ui::Report("USER objects gained", (double)after.dwUser - before.dwUser, "", 0);
    bench_ui::Report("windows gained", (double)(after.nWindows - before.nWindows), "", 0);
    bench_ui::Report("memory gained (MB committed)", after.dMemory - before.dMemory, "MB", 0);
    printf("  (GDI and USER objects as the highest handle slot in use; %.1f MB committed after)\n", after.dMemory);
}

BM_UI_BENCH(game_startup)
{
    const std::string strExe = ProgramPath();
    if (::GetFileAttributes(strExe.c_str()) == INVALID_FILE_ATTRIBUTES)
    {
        printf("  the program is not built: %s\n", strExe.c_str());
        return;
    }
    std::vector<double> times;
    for (int i = 0; i < 6; i++)
    {
        STARTUPINFO si = {};
        si.cb = sizeof(si);
        PROCESS_INFORMATION pi = {};
        std::string strCommand = "\"" + strExe + "\"";
        std::vector<char> command(strCommand.begin(), strCommand.end());
        command.push_back(0);
        const double t0 = bench_ui::Now();
        if (!::CreateProcess(NULL, command.data(), NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi))
            break;
        // The frame is up and has painted once it is visible and the program
        // waits for input.
        FindFrame find = {pi.dwProcessId, NULL};
        while (find.hWnd == NULL && bench_ui::Now() - t0 < 20)
        {
            ::EnumWindows(&FindVisibleFrame, (LPARAM)&find);
            if (find.hWnd == NULL)
                ::Sleep(5);
        }
        ::WaitForInputIdle(pi.hProcess, 10000);
        const double dMs = (bench_ui::Now() - t0) * 1000.0;
        if (find.hWnd != NULL)
        {
            if (i > 0)   // the first start fills Wine's own caches
                times.push_back(dMs);
            ::PostMessage(find.hWnd, WM_CLOSE, 0, 0);
        }
        if (::WaitForSingleObject(pi.hProcess, 20000) != WAIT_OBJECT_0)
            ::TerminateProcess(pi.hProcess, 1);
        ::CloseHandle(pi.hThread);
        ::CloseHandle(pi.hProcess);
    }
    bench_ui::Report("start of Brindlemark.exe to its first painted frame", bench_ui::Median(times), "ms", 500);
}
