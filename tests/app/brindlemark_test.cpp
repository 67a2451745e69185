// The program itself, Brindlemark.exe, started as a process and played from
// outside as a player would: the first start with an empty registry, what
// exit keeps and the next start restores, a new puzzle from the dialog,
// clicks on the board, pause, Ctrl+S, the tutorial, the about box and the
// save question at exit, and a custom toolbar made in Customize that comes
// back at the next start. Screens of each step go to the snapshots.
// ctest: run-serial
// ctest: lock registry
#include "support/bars_frame.h"
#include "support/canvas.h"
#include "support/crafted_metafiles.h"
#include "support/data_files.h"
#include "support/icon_files.h"
#include "support/memory.h"
#include "support/mouseinput.h"
#include "support/packed_bytes.h"
#include "support/printer.h"
#include "support/registry.h"
#include "support/snapshot.h"
#include "support/tempfolder.h"
#include "support/tooltips.h"
#include "support/watchdog.h"
#include "support/wndtest.h"

#include "ApplicationInfo.h"
#include "HTDataContainer.h"
#include "HTGenerator.h"
#include "XTPCommandBarsExchange.h"
#include "XTPImageManager.h"
#include "XTPZipMemFile.h"
#include "resource.h"

#include <commctrl.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstddef>
#include <fstream>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace
{
::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new testsupport::Environment);

const char* const kUserKey = testsupport::GameKey();

std::string ExePath()
{
    char szPath[MAX_PATH];
    ::GetModuleFileName(NULL, szPath, MAX_PATH);
    std::string strExe(szPath);
    for (int i = 0; i < 3; i++)
        strExe = strExe.substr(0, strExe.find_last_of('\\'));
    return strExe + "\\app\\Brindlemark.exe";
}

void Wait(int nMilliseconds)
{
    DWORD dwEnd = ::GetTickCount() + (DWORD)nMilliseconds;
    while ((int)(dwEnd - ::GetTickCount()) > 0)
    {
        MSG msg;
        while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
            ::DispatchMessage(&msg);
        ::Sleep(20);
    }
}

struct FindData
{
    DWORD dwPid;
    std::string strTitle;
    HWND hWnd;
};

BOOL CALLBACK FindTopLevel(HWND hWnd, LPARAM lParam)
{
    FindData* pData = (FindData*)lParam;
    DWORD dwPid = 0;
    ::GetWindowThreadProcessId(hWnd, &dwPid);
    char szTitle[256] = "";
    ::GetWindowText(hWnd, szTitle, sizeof(szTitle));
    if (dwPid == pData->dwPid && ::IsWindowVisible(hWnd) && pData->strTitle == szTitle)
    {
        pData->hWnd = hWnd;
        return FALSE;
    }
    return TRUE;
}

// A visible top-level window of the process with that title, waited for
// (looked for at least once, however short the wait).
HWND WaitForWindow(DWORD dwPid, const std::string& strTitle, int nMilliseconds = 15000)
{
    for (int n = 0; n < nMilliseconds / 50 + 1; n++)
    {
        FindData data = {dwPid, strTitle, NULL};
        ::EnumWindows(&FindTopLevel, (LPARAM)&data);
        if (data.hWnd != NULL)
            return data.hWnd;
        if (n < nMilliseconds / 50)
            Wait(50);
    }
    return NULL;
}

// TRUE once the window is gone, waiting up to nMilliseconds for the game
// (another process, slower on a busy machine) to close it.
bool WaitUntilGone(HWND hWnd, int nMilliseconds = 15000)
{
    for (int n = 0; n < nMilliseconds / 50 && ::IsWindow(hWnd); n++)
        Wait(50);
    return !::IsWindow(hWnd);
}

// Waits for a game started by the test itself to end (ending it by force,
// a failure, when it does not) and closes its handles.
void WaitForGameToEnd(PROCESS_INFORMATION& pi)
{
    if (::WaitForSingleObject(pi.hProcess, 20000) != WAIT_OBJECT_0)
    {
        ADD_FAILURE() << "the game did not end";
        ::TerminateProcess(pi.hProcess, 1);
    }
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
}

struct ChildData
{
    std::string strText;
    std::string strClass;
    std::vector<HWND> found;
};

BOOL CALLBACK FindChild(HWND hWnd, LPARAM lParam)
{
    ChildData* pData = (ChildData*)lParam;
    char szText[256] = "", szClass[256] = "";
    ::GetWindowText(hWnd, szText, sizeof(szText));
    ::GetClassName(hWnd, szClass, sizeof(szClass));
    if ((pData->strText.empty() || pData->strText == szText) && (pData->strClass.empty() || pData->strClass == szClass))
        pData->found.push_back(hWnd);
    return TRUE;
}

std::vector<HWND> Descendants(HWND hWnd, const std::string& strText, const std::string& strClass)
{
    ChildData data = {strText, strClass, {}};
    ::EnumChildWindows(hWnd, &FindChild, (LPARAM)&data);
    return data.found;
}

void ClickButton(HWND hDialog, const std::string& strText)
{
    std::vector<HWND> buttons = Descendants(hDialog, strText, "");
    ASSERT_FALSE(buttons.empty()) << "no button " << strText;
    ::PostMessage(hDialog, WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(buttons[0]), BN_CLICKED), (LPARAM)buttons[0]);
}

void ClickScreen(POINT pt, bool bRight, int nClicks = 1)
{
    using testsupport::MouseInput;
    // The pointer is first brought to the point and seen there: on a busy
    // display a late pointer motion can still carry it back, and a press
    // sent then would land on another square. Each event carries the point
    // as well, so the press and release go where the move went.
    const DWORD dwAt = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    POINT ptNow = {-1, -1};
    for (int n = 0; n < 40 && (ptNow.x != pt.x || ptNow.y != pt.y); n++)
    {
        testsupport::SendInputs({MouseInput(dwAt, pt)});
        Wait(50);
        ::GetCursorPos(&ptNow);
    }
    EXPECT_TRUE(ptNow.x == pt.x && ptNow.y == pt.y) << "pointer at " << ptNow.x << "," << ptNow.y;
    // More than one click goes at once, as quick as a player's double or
    // triple click.
    std::vector<INPUT> inputs;
    for (int i = 0; i < nClicks; i++)
    {
        inputs.push_back(MouseInput(dwAt | (bRight ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN), pt));
        inputs.push_back(MouseInput(dwAt | (bRight ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP), pt));
    }
    testsupport::SendInputs(inputs);
    Wait(300);
}

void PressKeys(std::vector<WORD> keys)
{
    std::vector<INPUT> inputs;
    for (WORD vk : keys)
    {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = vk;
        inputs.push_back(input);
    }
    for (auto it = keys.rbegin(); it != keys.rend(); ++it)
    {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = *it;
        input.ki.dwFlags = KEYEVENTF_KEYUP;
        inputs.push_back(input);
    }
    ::SendInput((UINT)inputs.size(), inputs.data(), sizeof(INPUT));
    Wait(300);
}

// An 8 x 8 patch of screen pixels from the point down and right: a
// square's fill can be a hatch, so one pixel may read the same before and
// after a change.
typedef std::vector<COLORREF> Patch;

Patch ScreenPatch(POINT pt)
{
    Patch patch;
    HDC hScreen = ::GetDC(NULL);
    for (int y = 0; y < 8; y++)
        for (int x = 0; x < 8; x++)
            patch.push_back(::GetPixel(hScreen, pt.x + x, pt.y + y));
    ::ReleaseDC(NULL, hScreen);
    return patch;
}

// The screen patch once it is (bEqual) or is no longer (!bEqual) the
// given one: Wine brings another process's painting to the screen a little
// later, and a busy machine later still. The last patch read when that
// does not happen within fifteen seconds.
Patch WaitForPatch(POINT pt, const Patch& patch, bool bEqual)
{
    Patch now = ScreenPatch(pt);
    for (int n = 0; n < 300 && (now == patch) != bEqual; n++)
    {
        Wait(50);
        now = ScreenPatch(pt);
    }
    return now;
}

// TRUE when a window's centre lies within a few pixels of another's.
bool IsCentredOver(HWND hWnd, HWND hOwner)
{
    RECT rc, rcOwner;
    ::GetWindowRect(hWnd, &rc);
    ::GetWindowRect(hOwner, &rcOwner);
    const int dx = (rc.left + rc.right) / 2 - (rcOwner.left + rcOwner.right) / 2;
    const int dy = (rc.top + rc.bottom) / 2 - (rcOwner.top + rcOwner.bottom) / 2;
    return dx >= -2 && dx <= 2 && dy >= -2 && dy <= 2;
}

// The subkeys of the game's user key.
std::set<std::string> UserSections()
{
    std::set<std::string> names;
    HKEY hKey;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, kUserKey, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return names;
    char szName[256];
    for (DWORD i = 0;; i++)
    {
        DWORD dwSize = sizeof(szName);
        if (::RegEnumKeyExA(hKey, i, szName, &dwSize, NULL, NULL, NULL, NULL) != ERROR_SUCCESS)
            break;
        names.insert(szName);
    }
    ::RegCloseKey(hKey);
    return names;
}

// The program as a process, its frame found by the title.
class Game
{
public:
    // strTitle: the frame's title to wait for (a puzzle named on the
    // command line titles it with the file's name).
    Game(const std::string& strArguments = std::string(), const std::string& strTitle = "Untitled - Brindlemark")
    {
        std::string strCommand = "\"" + ExePath() + "\"" + strArguments;
        STARTUPINFO si = {};
        si.cb = sizeof(si);
        std::vector<char> command(strCommand.begin(), strCommand.end());
        command.push_back(0);
        if (!::CreateProcess(NULL, command.data(), NULL, NULL, FALSE, 0, NULL, NULL, &si, &m_pi))
            return;
        ::WaitForInputIdle(m_pi.hProcess, 10000);
        m_hWnd = WaitForWindow(m_pi.dwProcessId, strTitle);
        // The splash goes after its own time; the first layout follows 100 ms
        // after the frame.
        for (int n = 0; n < 100 && WaitForWindow(m_pi.dwProcessId, "", 10) != NULL; n++)
            Wait(50);
        Wait(300);
    }
    ~Game()
    {
        if (m_pi.hProcess != NULL)
        {
            if (::WaitForSingleObject(m_pi.hProcess, 0) != WAIT_OBJECT_0)
                ::TerminateProcess(m_pi.hProcess, 1);
            ::CloseHandle(m_pi.hThread);
            ::CloseHandle(m_pi.hProcess);
        }
    }
    HWND Frame() const { return m_hWnd; }
    DWORD Pid() const { return m_pi.dwProcessId; }
    HANDLE Handle() const { return m_pi.hProcess; }
    bool IsRunning() const
    {
        return m_pi.hProcess != NULL && ::WaitForSingleObject(m_pi.hProcess, 0) == WAIT_TIMEOUT;
    }
    HANDLE Process() const { return m_pi.hProcess; }
    void Command(UINT nID)
    {
        ::PostMessage(m_hWnd, WM_COMMAND, nID, 0);
        Wait(300);
    }
    // Closes the frame and waits for the process; its exit code, or -1.
    int Close()
    {
        ::PostMessage(m_hWnd, WM_CLOSE, 0, 0);
        return WaitForExit();
    }
    int WaitForExit()
    {
        if (::WaitForSingleObject(m_pi.hProcess, 20000) != WAIT_OBJECT_0)
            return -1;
        DWORD dwExit = 1;
        ::GetExitCodeProcess(m_pi.hProcess, &dwExit);
        return (int)dwExit;
    }
    HWND View() const { return ::GetDlgItem(m_hWnd, AFX_IDW_PANE_FIRST); }
    // The screen point of a square's centre on an n x n board, laid out as
    // the view lays it out: squares of four fifths of the shorter side,
    // centred.
    POINT SquareCentre(int nSide, int nColumn, int nRow, int* pnSize = NULL)
    {
        RECT rc;
        ::GetClientRect(View(), &rc);
        const int s = std::min(rc.right, rc.bottom) * 4 / 5 / nSide;
        POINT pt = {(rc.right - s * nSide) / 2 + nColumn * s + s / 2, (rc.bottom - s * nSide) / 2 + nRow * s + s / 2};
        ::ClientToScreen(View(), &pt);
        if (pnSize != NULL)
            *pnSize = s;
        return pt;
    }

private:
    PROCESS_INFORMATION m_pi = {};
    HWND m_hWnd = NULL;
};

void ClearSettings()
{
    testsupport::ClearUserSettings();
    testsupport::ClearGameRegistry();
}

// Each test starts the built program from no stored settings.
class Brindlemark : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (::GetFileAttributes(ExePath().c_str()) == INVALID_FILE_ATTRIBUTES)
            GTEST_SKIP() << "the program is not built: " << ExePath();
        ClearSettings();
    }
};
} // namespace

TEST_F(Brindlemark, TheFirstStartShowsTheGameAndExitKeepsItsBarsAndPanes)
{
    {
        Game game;
        ASSERT_TRUE(game.Frame() != NULL);
        HWND hFrame = game.Frame();
        // The command bars replace the system menu bar; the status bar says
        // "Ready".
        EXPECT_TRUE(::GetMenu(hFrame) == NULL);
        HWND hStatus = ::GetDlgItem(hFrame, AFX_IDW_STATUS_BAR);
        ASSERT_TRUE(hStatus != NULL);
        EXPECT_TRUE(::IsWindowVisible(hStatus));
        EXPECT_TRUE(::IsWindowVisible(game.View()));
        // Menu bar, Standard and Timer toolbars each have their window.
        EXPECT_EQ(3u, Descendants(hFrame, "", "XTPToolBar").size() + Descendants(hFrame, "", "XTPMenuBar").size())
            << "bars";
        ::SetForegroundWindow(hFrame);
        EXPECT_FALSE(testsupport::SaveScreenSnapshot(hFrame, "fresh_start").empty());

        // Both profile panes opened before leaving.
        game.Command(ID_APPEARANCE_PANE);
        game.Command(ID_DIFFICULTY_PANE);
        EXPECT_EQ(2u, Descendants(hFrame, "", "XTPPropertyGrid").size());
        EXPECT_EQ(0, game.Close());
    }
    EXPECT_EQ(3, testsupport::UserProfileInt("CommandBars-Summary", "Bars"));
    EXPECT_EQ(1, testsupport::UserProfileInt("CommandBars-Bar0", "BarID"));
    EXPECT_EQ(IDR_MAINFRAME, testsupport::UserProfileInt("CommandBars-Bar1", "BarID"));
    EXPECT_EQ(IDR_TIMER_TOOLBAR, testsupport::UserProfileInt("CommandBars-Bar2", "BarID"));
    // Only the bars, their controls and shortcuts, the panes' layout and the
    // class library's recent files are kept per user.
    for (const std::string& strSection : UserSections())
    {
        EXPECT_TRUE(strSection.rfind("CommandBars", 0) == 0 || strSection == "DockingPaneLayouts" ||
                    strSection == "Recent File List" || strSection == "Settings")
            << strSection;
    }
    EXPECT_TRUE(UserSections().count("DockingPaneLayouts"));

    // The next start (no longer the first of this version) brings the
    // panes back.
    Game again;
    ASSERT_TRUE(again.Frame() != NULL);
    EXPECT_EQ(2u, Descendants(again.Frame(), "", "XTPPropertyGrid").size());
    EXPECT_EQ(0, again.Close());
    ClearSettings();
}

TEST_F(Brindlemark, DamagedStoredStateNeitherStopsTheStartNorLosesProfiles)
{
    {
        Game first;
        ASSERT_TRUE(first.Frame() != NULL);
        first.Command(ID_APPEARANCE_PANE);
        EXPECT_EQ(0, first.Close());
    }

    // The stored pane layout: splitters nested 10,000 deep.
    const std::string strLayout = std::string(kUserKey) + "\\DockingPaneLayouts\\NormalLayout";
    ::SHDeleteKeyA(HKEY_CURRENT_USER, strLayout.c_str());
    auto writeSection = [&strLayout](const std::string& strSection,
                                     const std::vector<std::pair<std::string, DWORD>>& values) {
        HKEY hKey = NULL;
        ::RegCreateKeyExA(HKEY_CURRENT_USER, (strLayout + "\\" + strSection).c_str(), 0, NULL, 0, KEY_WRITE, NULL,
                          &hKey, NULL);
        for (const auto& value : values)
            ::RegSetValueExA(hKey, value.first.c_str(), 0, REG_DWORD, (const BYTE*)&value.second, sizeof(DWORD));
        ::RegCloseKey(hKey);
    };
    const int nDepth = 10000;
    writeSection("Summary", {{"Panes", (DWORD)(nDepth + 3)}, {"TopContainer", (DWORD)(nDepth + 3)}, {"Client", 3}});
    writeSection("Pane-1", {{"Type", 0}, {"ID", ID_APPEARANCE_PANE}});
    writeSection("Pane-2", {{"Type", 1}, {"Panes", 1}, {"Pane-1", 1}});
    writeSection("Pane-3", {{"Type", 4}});
    writeSection("Pane-4", {{"Type", 2}, {"Panes", 2}, {"Pane-1", 2}, {"Pane-2", 3}});
    for (int n = 5; n <= nDepth + 3; n++)
        writeSection("Pane-" + std::to_string(n), {{"Type", 2}, {"Panes", 1}, {"Pane-1", (DWORD)(n - 1)}});

    // Five difficulty profiles: number 2 lost its first value, number 3 holds
    // minutes no clock shows.
    g_ApplicationInfo.m_GradeInfoList.LoadFromRegistry();
    CGradeInfo mine = CGradeInfo::MakeEasyProfile();
    mine.m_strProfileName = "Mine";
    g_ApplicationInfo.m_GradeInfoList.AddProfile(mine);
    ASSERT_TRUE(g_ApplicationInfo.m_GradeInfoList.SaveToRegistry());
    CXTRegistryManager(HKEY_LOCAL_MACHINE).WriteProfileString("GradeInfo", "2_Columns", NULL);
    testsupport::WriteRegistryDword("GradeInfo", "3_MinutesToComplete", 0x7FFFFFFF);

    {
        Game game;
        ASSERT_TRUE(game.Frame() != NULL) << "the game starts";
        EXPECT_TRUE(WaitForWindow(game.Pid(), "Brindlemark", 500) == NULL) << "no question at start";
        EXPECT_EQ(0, game.Close());
    }
    // Every profile is still there, the absurd time is gone, and the pane
    // layout was written over with a sound one.
    DWORD dwCount = 0;
    ASSERT_TRUE(testsupport::ReadRegistryDword("GradeInfo", "GradeInfoCount", dwCount));
    EXPECT_EQ(5u, dwCount);
    EXPECT_STREQ("Mine", CXTRegistryManager(HKEY_LOCAL_MACHINE).GetProfileString("GradeInfo", "4_ProfileName", ""));
    DWORD dwMinutes = 0;
    ASSERT_TRUE(testsupport::ReadRegistryDword("GradeInfo", "3_MinutesToComplete", dwMinutes));
    EXPECT_LE(dwMinutes, (DWORD)HT_MAX_STORED_MINUTES);
    const int nPanes = testsupport::UserProfileInt("DockingPaneLayouts\\NormalLayout\\Summary", "Panes");
    EXPECT_GT(nPanes, 1);
    EXPECT_LT(nPanes, 100);
    ClearSettings();
}

// Puzzle files named on the command line that cannot be played: each says
// what is wrong with it, and the game goes on with its empty board.
TEST_F(Brindlemark, ADamagedPuzzleFileSaysWhatIsWrongAndTheGameGoesOn)
{
    char szTemp[MAX_PATH];
    ::GetTempPath(MAX_PATH, szTemp);
    const std::string strFile = std::string(szTemp) + "e2e_damaged.hti";
    const struct
    {
        const char* pszText;
        const char* pszMessage;
    } files[] = {
        {"FVH[TRI]2\r\n5\r\n5\r\n1\r\n0,0,0,0,0,0,0,0,0,0,0,0,0,1,0,0,0,\r\n",
         "This puzzle file is damaged and cannot be loaded.\n\nThe file ends after line 5, before the puzzle is "
         "complete."},
        {"FVH[TRI]2\r\n500\r\n5\r\n1\r\n",
         "This puzzle file is damaged and cannot be loaded.\n\nLine 2 holds a value that no puzzle can have."},
        {"BM\x1a\x02\r\n", "This file is not a puzzle file and cannot be loaded."},
    };
    for (const auto& file : files)
    {
        std::ofstream(strFile, std::ios::binary) << file.pszText;
        Game game(" \"" + strFile + "\"");
        // The message box, not the splash window, which has no title either.
        HWND hMessage = NULL;
        for (int n = 0; n < 200 && hMessage == NULL; n++)
        {
            HWND hUntitled = WaitForWindow(game.Pid(), "", 50);
            if (hUntitled != NULL && ::GetDlgItem(hUntitled, IDC_MESSAGE_TEXT) != NULL)
                hMessage = hUntitled;
            else
                Wait(50);
        }
        ASSERT_TRUE(hMessage != NULL) << file.pszMessage;
        char szText[512] = "";
        ::GetDlgItemTextA(hMessage, IDC_MESSAGE_TEXT, szText, sizeof(szText));
        EXPECT_STREQ(file.pszMessage, szText);
        ClickButton(hMessage, "OK");
        HWND hFrame = WaitForWindow(game.Pid(), "Untitled - Brindlemark");
        EXPECT_TRUE(hFrame != NULL) << "the game goes on: " << file.pszMessage;
        // One message only: no second one follows the first.
        Wait(500);
        HWND hAnother = WaitForWindow(game.Pid(), "", 10);
        EXPECT_FALSE(hAnother != NULL && ::GetDlgItem(hAnother, IDC_MESSAGE_TEXT) != NULL) << file.pszMessage;
        if (hFrame != NULL)
        {
            ::PostMessage(hFrame, WM_CLOSE, 0, 0);
            EXPECT_EQ(0, game.WaitForExit());
        }
    }
    ::DeleteFile(strFile.c_str());
    ClearSettings();
}

TEST_F(Brindlemark, APuzzleIsMadePlayedPausedAndSavedWithCtrlS)
{
    // A 9 x 9 difficulty profile of the player's own, last in the list.
    g_ApplicationInfo.m_GradeInfoList.LoadFromRegistry();
    CGradeInfo nine = CGradeInfo::MakeEasyProfile();
    nine.m_strProfileName = "Nine";
    nine.m_nColumns = nine.m_nRows = 9;
    g_ApplicationInfo.m_GradeInfoList.AddProfile(nine);
    ASSERT_TRUE(g_ApplicationInfo.m_GradeInfoList.SaveToRegistry());

    char szTemp[MAX_PATH];
    ::GetTempPath(MAX_PATH, szTemp);
    const std::string strFile = std::string(szTemp) + "e2e_puzzle.hti";
    ::DeleteFile(strFile.c_str());

    Game game;
    ASSERT_TRUE(game.Frame() != NULL);
    HWND hFrame = game.Frame();
    ::SetForegroundWindow(hFrame);

    // The difficulty profile list, opened from the View menu, only manages
    // the profiles: Copy is not offered. Like every dialog it opens centred
    // over the frame.
    ::PostMessage(hFrame, WM_COMMAND, ID_DIFFICULTY_LIST, 0);
    HWND hList = WaitForWindow(game.Pid(), "Difficulty Profile List");
    ASSERT_TRUE(hList != NULL);
    Wait(300);
    EXPECT_TRUE(IsCentredOver(hList, hFrame));
    ASSERT_TRUE(::GetDlgItem(hList, 1011) != NULL);
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(hList, 1011)));
    ::PostMessage(hList, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitUntilGone(hList));

    // Ctrl+N: New Puzzle, centred over the frame; the last difficulty
    // profile, OK.
    ::SetForegroundWindow(hFrame);
    PressKeys({VK_CONTROL, 'N'});
    HWND hDialog = WaitForWindow(game.Pid(), "New Puzzle");
    ASSERT_TRUE(hDialog != NULL);
    Wait(300);
    EXPECT_TRUE(IsCentredOver(hDialog, hFrame));
    HWND hGrades = ::GetDlgItem(hDialog, IDC_DIFFICULTY_PROFILE);
    const int nGrades = (int)::SendMessage(hGrades, CB_GETCOUNT, 0, 0);
    ASSERT_EQ(5, nGrades);
    ::SendMessage(hGrades, CB_SETCURSEL, nGrades - 1, 0);
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(hDialog, "new_puzzle_dialog").empty());
    ClickButton(hDialog, "OK");
    ASSERT_TRUE(WaitUntilGone(hDialog));
    // The progress window shows while the puzzle is made, then goes.
    DWORD dwStart = ::GetTickCount();
    while (WaitForWindow(game.Pid(), "Create Progress", 10) != NULL && ::GetTickCount() - dwStart < 60000)
        Wait(50);
    ASSERT_TRUE(WaitForWindow(game.Pid(), "Create Progress", 10) == NULL);
    Wait(500);

    // The frame is given back to the player once the progress window goes.
    ::SetForegroundWindow(hFrame);
    for (int n = 0; n < 100 && (!::IsWindowEnabled(hFrame) || ::GetForegroundWindow() != hFrame); n++)
    {
        Wait(50);
        ::SetForegroundWindow(hFrame);
    }
    ASSERT_TRUE(::IsWindowEnabled(hFrame));

    // A button another program left held on the display is let go first.
    INPUT release[2] = {};
    release[0].type = release[1].type = INPUT_MOUSE;
    release[0].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    release[1].mi.dwFlags = MOUSEEVENTF_RIGHTUP;
    ::SendInput(2, release, sizeof(INPUT));
    Wait(200);

    // Clicks on the board: the left click shades a square, the right click
    // marks another unshaded; each repaints at once.
    int s = 0;
    POINT ptShade = game.SquareCentre(9, 2, 2, &s);
    ASSERT_GT(s, 10);
    POINT ptCorner = {ptShade.x - s / 2 + s / 8, ptShade.y - s / 2 + s / 8};
    const Patch before = ScreenPatch(ptCorner);
    ::SetForegroundWindow(hFrame);
    ClickScreen(ptShade, false);
    const DWORD dwClicked = ::GetTickCount();
    EXPECT_TRUE(before != WaitForPatch(ptCorner, before, false)) << ::GetTickCount() - dwClicked << " ms";
    ClickScreen(game.SquareCentre(9, 3, 2), false);
    // Ctrl+Z takes the last move back.
    POINT ptMarked = game.SquareCentre(9, 6, 6);
    POINT ptMarkedCorner = {ptMarked.x - s / 2 + s / 8, ptMarked.y - s / 2 + s / 8};
    const Patch unmarked = ScreenPatch(ptMarkedCorner);
    ClickScreen(ptMarked, true);
    EXPECT_TRUE(unmarked != WaitForPatch(ptMarkedCorner, unmarked, false));
    ::SetForegroundWindow(hFrame);
    PressKeys({VK_CONTROL, 'Z'});
    EXPECT_TRUE(unmarked == WaitForPatch(ptMarkedCorner, unmarked, true)) << "Ctrl+Z";
    ClickScreen(ptMarked, true);
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(hFrame, "puzzle_in_progress").empty());

    // Pause: the board is hidden until Play.
    const Patch marked = ScreenPatch(ptCorner);   // now beside another shaded square
    game.Command(ID_TIMER_PAUSE);
    EXPECT_TRUE(marked != WaitForPatch(ptCorner, marked, false));
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(hFrame, "paused").empty());
    game.Command(ID_TIMER_PLAY);
    Wait(1200);   // at least a second on the clock
    EXPECT_TRUE(marked == WaitForPatch(ptCorner, marked, true));

    // Ctrl+S on a puzzle never saved asks for a name and writes the puzzle
    // file with the seconds played last.
    ::SetForegroundWindow(hFrame);
    PressKeys({VK_CONTROL, 'S'});
    HWND hSave = WaitForWindow(game.Pid(), "Save As", 5000);
    ASSERT_TRUE(hSave != NULL);
    Wait(300);
    HWND hName = ::GetDlgItem(hSave, 0x47c);   // the file name box
    if (hName == NULL)
        hName = ::GetDlgItem(hSave, 0x480);
    ASSERT_TRUE(hName != NULL);
    ::SendMessage(hName, WM_SETTEXT, 0, (LPARAM)strFile.c_str());
    ::PostMessage(hSave, WM_COMMAND, IDOK, 0);
    // The title names the file once it is written.
    char szTitle[256] = "";
    for (int n = 0; n < 300 && strcmp(szTitle, "e2e_puzzle.hti - Brindlemark") != 0; n++)
    {
        Wait(50);
        ::GetWindowText(hFrame, szTitle, sizeof(szTitle));
    }
    std::ifstream file(strFile);
    ASSERT_TRUE(file.good()) << strFile;
    std::string strLine, strLast;
    int nLines = 0;
    while (std::getline(file, strLine))
    {
        if (!strLine.empty() && strLine != "\r")
            strLast = strLine;
        nLines++;
    }
    EXPECT_GT(nLines, 81);
    EXPECT_GE(atoi(strLast.c_str()), 1) << strLast;
    EXPECT_STREQ("e2e_puzzle.hti - Brindlemark", szTitle);

    // The tutorial and the about box show and close.
    ::PostMessage(hFrame, WM_COMMAND, ID_SHOW_TUTORIAL, 0);
    HWND hTutorial = NULL;
    for (int n = 0; n < 100 && hTutorial == NULL; n++)
    {
        HWND hActive = ::GetForegroundWindow();
        DWORD dwPid = 0;
        ::GetWindowThreadProcessId(hActive, &dwPid);
        if (hActive != hFrame && dwPid == game.Pid())
            hTutorial = hActive;
        else
            Wait(50);
    }
    ASSERT_TRUE(hTutorial != NULL);
    Wait(500);
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(hTutorial, "tutorial").empty());
    ::PostMessage(hTutorial, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(WaitUntilGone(hTutorial));

    // Both profile panes docked beside the board.
    game.Command(ID_APPEARANCE_PANE);
    game.Command(ID_DIFFICULTY_PANE);
    EXPECT_EQ(2u, Descendants(hFrame, "", "XTPPropertyGrid").size());
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(hFrame, "both_panes_docked").empty());

    // A colour row's "..." opens the game's own colour dialog: the first
    // colour row of the appearance grid (the grid with the most rows) is
    // selected, then its button, at the row's right end, is clicked.
    HWND hView = NULL;
    int nMostRows = 0;
    for (HWND hGrid : Descendants(hFrame, "", "XTPPropertyGrid"))
        for (HWND hChild : Descendants(hGrid, "", ""))
        {
            char szClass[64] = "";
            ::GetClassName(hChild, szClass, sizeof(szClass));
            const int nRows = lstrcmpi(szClass, "ListBox") == 0 ? (int)::SendMessage(hChild, LB_GETCOUNT, 0, 0) : 0;
            if (nRows > nMostRows)
            {
                nMostRows = nRows;
                hView = hChild;
            }
        }
    ASSERT_TRUE(hView != NULL);
    RECT rcRow = {};
    ASSERT_NE(LB_ERR, (int)::SendMessage(hView, LB_GETITEMRECT, 1, (LPARAM)&rcRow));
    POINT ptRow = {rcRow.left + 20, (rcRow.top + rcRow.bottom) / 2};
    POINT ptButton = {rcRow.right - 6, ptRow.y};
    ::ClientToScreen(hView, &ptRow);
    ::ClientToScreen(hView, &ptButton);
    ::SetForegroundWindow(hFrame);
    ClickScreen(ptRow, false);
    ClickScreen(ptButton, false);
    HWND hColors = WaitForWindow(game.Pid(), "Colors", 5000);
    ASSERT_TRUE(hColors != NULL);
    Wait(300);
    // Like every dialog it opens centred over the frame, not in the
    // screen's corner.
    EXPECT_TRUE(IsCentredOver(hColors, hFrame));
    // Two tabs, the standard page showing.
    std::vector<HWND> tabs = Descendants(hColors, "", "SysTabControl32");
    ASSERT_EQ(1u, tabs.size());
    EXPECT_EQ(2, (int)::SendMessage(tabs[0], TCM_GETITEMCOUNT, 0, 0));
    EXPECT_EQ(1u, Descendants(hColors, "Standard", "").size());
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(hColors, "colour_dialog_from_a_colour_row").empty());
    ClickButton(hColors, "Cancel");
    EXPECT_TRUE(WaitUntilGone(hColors));

    // With the clock running the puzzle is modified again: closing asks,
    // and "Don't Save" leaves.
    ::PostMessage(hFrame, WM_CLOSE, 0, 0);
    HWND hQuestion = NULL;
    for (int n = 0; n < 100 && hQuestion == NULL; n++)
    {
        HWND hActive = ::GetForegroundWindow();
        if (hActive != hFrame && !Descendants(hActive, "Don't Save", "").empty())
            hQuestion = hActive;
        else
            Wait(50);
    }
    ASSERT_TRUE(hQuestion != NULL);
    ClickButton(hQuestion, "Don't Save");
    EXPECT_EQ(0, game.WaitForExit());
    ::DeleteFile(strFile.c_str());
    ClearSettings();
}

namespace
{
// The top-level windows of the process of that class, visible or not.
struct TopLevelData
{
    DWORD dwPid;
    std::string strClass;
    std::vector<HWND> found;
};

BOOL CALLBACK FindTopLevelOfClass(HWND hWnd, LPARAM lParam)
{
    TopLevelData* pData = (TopLevelData*)lParam;
    DWORD dwPid = 0;
    ::GetWindowThreadProcessId(hWnd, &dwPid);
    char szClass[256] = "";
    ::GetClassName(hWnd, szClass, sizeof(szClass));
    if (dwPid == pData->dwPid && pData->strClass == szClass)
        pData->found.push_back(hWnd);
    return TRUE;
}

std::vector<HWND> TopLevels(DWORD dwPid, const std::string& strClass)
{
    TopLevelData data = {dwPid, strClass, {}};
    ::EnumWindows(&FindTopLevelOfClass, (LPARAM)&data);
    return data.found;
}

// The first visible top-level window of a class of the process, other than
// hOther, waited for up to nMilliseconds; NULL when none shows.
HWND WaitForVisibleTopLevel(DWORD dwPid, const std::string& strClass, int nMilliseconds, HWND hOther = NULL)
{
    for (int n = 0; n < nMilliseconds / 50; n++)
    {
        for (HWND hWnd : TopLevels(dwPid, strClass))
            if (hWnd != hOther && ::IsWindowVisible(hWnd))
                return hWnd;
        Wait(50);
    }
    return NULL;
}

std::string WindowText(HWND hWnd)
{
    char szText[256] = "";
    ::GetWindowText(hWnd, szText, sizeof(szText));
    return szText;
}

// The Timer toolbar's window, docked or floating; NULL when it has none.
HWND TimerBar(const Game& game)
{
    for (HWND hWnd : Descendants(game.Frame(), "", "XTPToolBar"))
        if (WindowText(hWnd) == "Timer")
            return hWnd;
    for (HWND hWnd : TopLevels(game.Pid(), "XTPToolBar"))
        if (WindowText(hWnd) == "Timer")
            return hWnd;
    return NULL;
}

// Presses the left button at one screen point, moves to another in steps
// and lets go there.
void DragScreen(POINT ptFrom, POINT ptTo)
{
    ::SetCursorPos(ptFrom.x, ptFrom.y);
    Wait(100);
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    ::SendInput(1, &input, sizeof(INPUT));
    Wait(100);
    for (int i = 1; i <= 10; i++)
    {
        ::SetCursorPos(ptFrom.x + (ptTo.x - ptFrom.x) * i / 10, ptFrom.y + (ptTo.y - ptFrom.y) * i / 10);
        input.mi.dwFlags = MOUSEEVENTF_MOVE;
        ::SendInput(1, &input, sizeof(INPUT));
        Wait(50);
    }
    input.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ::SendInput(1, &input, sizeof(INPUT));
    Wait(300);
}

// TRUE when hWnd lies above hBelow in the Z order of the top-level windows.
bool IsAbove(HWND hWnd, HWND hBelow)
{
    for (HWND h = ::GetWindow(hBelow, GW_HWNDPREV); h != NULL; h = ::GetWindow(h, GW_HWNDPREV))
        if (h == hWnd)
            return true;
    return false;
}
} // namespace

namespace
{
// The visible popup bar of the process (a menu or context menu) that is
// open, waited for; NULL when none opens.
HWND WaitForPopupBar(DWORD dwPid)
{
    return WaitForVisibleTopLevel(dwPid, "XTPPopupBar", 3000);
}

bool IsFloating(HWND hWnd)
{
    return hWnd != NULL && (::GetWindowLong(hWnd, GWL_STYLE) & WS_CHILD) == 0;
}

// Drags the Timer toolbar out by its gripper (at its left edge) to a screen
// point, where it floats; false when the game shows no Timer toolbar.
bool DragTimerBarOut(const Game& game, POINT ptTo)
{
    HWND hBar = TimerBar(game);
    if (hBar == NULL)
        return false;
    RECT rc;
    ::GetWindowRect(hBar, &rc);
    DragScreen({rc.left + 3, (rc.top + rc.bottom) / 2}, ptTo);
    return true;
}

// Clicks the close button at the right of a floating toolbar's caption.
void CloseFloatingBar(HWND hBar)
{
    RECT rc;
    ::GetWindowRect(hBar, &rc);
    ClickScreen({rc.right - 10, rc.top + 9}, false);
}
} // namespace

TEST_F(Brindlemark, AClosedToolbarComesBackAndFloatingWindowsRestartAboveTheFrame)
{
    {
        Game game;
        ASSERT_TRUE(game.Frame() != NULL);
        HWND hFrame = game.Frame();
        ::SetForegroundWindow(hFrame);
        Wait(200);

        // The Timer bar dragged out by its gripper floats above the frame.
        ASSERT_TRUE(DragTimerBarOut(game, {500, 400})) << "no Timer toolbar";
        HWND hBar = TimerBar(game);
        ASSERT_TRUE(IsFloating(hBar));
        EXPECT_TRUE(IsAbove(hBar, hFrame));

        // Its X closes it; View > Toolbars lists it, and choosing it brings
        // it back.
        CloseFloatingBar(hBar);
        ASSERT_FALSE(::IsWindowVisible(hBar));
        ::SetForegroundWindow(hFrame);
        PressKeys({VK_MENU, 'V'});
        ASSERT_TRUE(WaitForPopupBar(game.Pid()) != NULL) << "no View menu";
        PressKeys({'T'});   // &Toolbars
        Wait(300);
        EXPECT_FALSE(testsupport::SaveScreenSnapshot(hFrame, "view_toolbars_menu").empty());
        PressKeys({VK_DOWN});   // Standard, then Timer
        PressKeys({VK_RETURN});
        Wait(300);
        EXPECT_TRUE(::IsWindowVisible(hBar)) << "View > Toolbars > Timer";
        EXPECT_TRUE(IsAbove(hBar, hFrame));

        // Closed again, it comes back from the bars' context menu.
        CloseFloatingBar(hBar);
        ASSERT_FALSE(::IsWindowVisible(hBar));
        ::SetForegroundWindow(hFrame);
        std::vector<HWND> bars = Descendants(hFrame, "Standard", "XTPToolBar");
        ASSERT_FALSE(bars.empty());
        RECT rc;
        ::GetWindowRect(bars[0], &rc);
        ClickScreen({rc.right - 30, (rc.top + rc.bottom) / 2}, true);
        HWND hContext = WaitForPopupBar(game.Pid());
        ASSERT_TRUE(hContext != NULL) << "no context menu";
        EXPECT_FALSE(testsupport::SaveScreenSnapshot(hFrame, "toolbars_context_menu").empty());
        PressKeys({VK_DOWN});
        PressKeys({VK_DOWN});   // Standard, then Timer
        PressKeys({VK_RETURN});
        Wait(300);
        EXPECT_TRUE(::IsWindowVisible(hBar)) << "the context menu's Timer";

        // A profile pane left floating too.
        game.Command(ID_DIFFICULTY_PANE);
        std::vector<HWND> containers = Descendants(hFrame, "", "XTPDockingPaneTabbedContainer");
        ASSERT_EQ(1u, containers.size());
        ::PostMessage(containers[0], WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(20, 8));   // its caption
        Wait(500);
        ASSERT_EQ(1u, TopLevels(game.Pid(), "XTPDockingPaneMiniWnd").size());
        EXPECT_EQ(0, game.Close());
    }

    // The next start shows both floating windows where they were, above
    // the frame.
    Game again;
    ASSERT_TRUE(again.Frame() != NULL);
    Wait(300);
    HWND hBar = TimerBar(again);
    ASSERT_TRUE(IsFloating(hBar));
    EXPECT_TRUE(::IsWindowVisible(hBar));
    EXPECT_TRUE(IsAbove(hBar, again.Frame()));
    std::vector<HWND> minis = TopLevels(again.Pid(), "XTPDockingPaneMiniWnd");
    ASSERT_EQ(1u, minis.size());
    EXPECT_TRUE(::IsWindowVisible(minis[0]));
    EXPECT_TRUE(IsAbove(minis[0], again.Frame()));
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(again.Frame(), "floating_windows_after_restart").empty());
    EXPECT_EQ(0, again.Close());
    ClearSettings();
}

namespace
{
// The visible dialog (class #32770) of the process, waited for.
HWND WaitForDialog(DWORD dwPid, int nMilliseconds = 5000)
{
    return WaitForVisibleTopLevel(dwPid, "#32770", nMilliseconds);
}

int VisibleShadows(DWORD dwPid)
{
    int nCount = 0;
    for (const char* pszClass : {"XTPShadow", "XTPShadowSaveBits"})
        for (HWND hWnd : TopLevels(dwPid, pszClass))
            nCount += ::IsWindowVisible(hWnd) ? 1 : 0;
    return nCount;
}
} // namespace

// The Standard toolbar's Add or Remove Buttons menu leaves no shadow behind
// when it closes; after Alt, a letter of the toolbar (O for Open) reaches the
// toolbar instead of only beeping.
TEST_F(Brindlemark, MenusLeaveNoShadowsAndAltPassesLettersToTheToolbar)
{
    Game game;
    ASSERT_TRUE(game.Frame() != NULL);
    HWND hFrame = game.Frame();
    ::SetForegroundWindow(hFrame);
    Wait(200);

    std::vector<HWND> bars = Descendants(hFrame, "Standard", "XTPToolBar");
    ASSERT_FALSE(bars.empty());
    RECT rc;
    ::GetWindowRect(bars[0], &rc);
    ClickScreen({rc.right - 5, (rc.top + rc.bottom) / 2}, false);   // the bar's expand button
    ASSERT_TRUE(WaitForPopupBar(game.Pid()) != NULL) << "no Add or Remove Buttons menu";
    PressKeys({VK_DOWN});
    PressKeys({VK_RIGHT});   // Add or Remove Buttons
    Wait(300);
    const int nOpen = VisibleShadows(game.Pid());
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(hFrame, "add_or_remove_buttons").empty());
    ClickScreen({(rc.left + rc.right) / 2, rc.bottom + 300}, false);   // on the board: every menu closes
    Wait(300);
    EXPECT_EQ(0, VisibleShadows(game.Pid())) << nOpen << " while open";
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(hFrame, "add_or_remove_buttons_closed").empty());

    ::SetForegroundWindow(hFrame);
    PressKeys({VK_MENU});
    PressKeys({'O'});
    HWND hOpen = WaitForDialog(game.Pid());
    ASSERT_TRUE(hOpen != NULL) << "Alt, O: no Open dialog";
    ::PostMessage(hOpen, WM_COMMAND, IDCANCEL, 0);
    Wait(500);
    EXPECT_EQ(0, game.Close());
    ClearSettings();
}

namespace
{
// Presses a button of a page or dialog by its text, through its parent.
bool PressChildButton(HWND hTop, const std::string& strText)
{
    std::vector<HWND> buttons = Descendants(hTop, strText, "Button");
    if (buttons.empty())
        return false;
    ::PostMessage(::GetParent(buttons[0]), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(buttons[0]), BN_CLICKED),
                  (LPARAM)buttons[0]);
    Wait(400);
    return true;
}

// The screen point of a list box item's centre.
POINT ListItemCentre(HWND hList, int nItem)
{
    RECT rc;
    ::GetClientRect(hList, &rc);
    int nHeight = (int)::SendMessage(hList, LB_GETITEMHEIGHT, 0, 0);
    int nTop = (int)::SendMessage(hList, LB_GETTOPINDEX, 0, 0);
    POINT pt = {rc.right / 3, (nItem - nTop) * nHeight + nHeight / 2};
    ::ClientToScreen(hList, &pt);
    return pt;
}

HWND CustomBar(HWND hFrame)
{
    std::vector<HWND> bars = Descendants(hFrame, "Custom 1", "XTPToolBar");
    return bars.empty() ? NULL : bars[0];
}

// Opens the Customize sheet (View > Toolbars > Customize...) and brings it
// to the front once it is there; NULL when it did not open.
HWND OpenCustomize(Game& game)
{
    game.Command(ID_VIEW_CUSTOMIZE);
    HWND hSheet = WaitForWindow(game.Pid(), "Customize", 5000);
    if (hSheet == NULL)
        return NULL;
    ::SetForegroundWindow(hSheet);
    Wait(300);
    return hSheet;
}
} // namespace

TEST_F(Brindlemark, ACustomToolbarMadeInCustomizeComesBackAndADamagedBarSetStillStarts)
{
    int nBarWidth = 0;
    {
        Game game;
        ASSERT_TRUE(game.Frame() != NULL);
        ::SetForegroundWindow(game.Frame());
        HWND hSheet = OpenCustomize(game);
        ASSERT_TRUE(hSheet != NULL) << "the Customize sheet did not open";
        EXPECT_FALSE(testsupport::SaveScreenSnapshot(hSheet, "customize_toolbars").empty());

        // New... proposes "Custom 1"; OK makes the bar.
        ASSERT_TRUE(PressChildButton(hSheet, "&New..."));
        HWND hNew = WaitForWindow(game.Pid(), "New Toolbar", 5000);
        ASSERT_TRUE(hNew != NULL);
        char szName[64] = "";
        ::GetDlgItemTextA(hNew, 100, szName, sizeof(szName));
        EXPECT_STREQ("Custom 1", szName);
        ::PostMessage(hNew, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        Wait(500);
        HWND hBar = CustomBar(game.Frame());
        ASSERT_TRUE(hBar != NULL) << "no bar \"Custom 1\"";
        RECT rcEmpty;
        ::GetWindowRect(hBar, &rcEmpty);

        // The Commands page: two commands of "File" dragged onto the bar.
        ::SendMessage(hSheet, PSM_SETCURSEL, 1, 0);
        Wait(400);
        HWND hPage = (HWND)::SendMessage(hSheet, PSM_GETCURRENTPAGEHWND, 0, 0);
        ASSERT_TRUE(hPage != NULL);
        HWND hCommands = ::GetDlgItem(hPage, 101);
        ASSERT_TRUE(hCommands != NULL);
        for (int nItem = 1; nItem <= 2; nItem++)
        {
            RECT rcBar;
            ::GetWindowRect(hBar, &rcBar);
            POINT ptTo = {rcBar.right - 4, (rcBar.top + rcBar.bottom) / 2};
            DragScreen(ListItemCentre(hCommands, nItem), ptTo);
        }
        RECT rcFull;
        ::GetWindowRect(hBar, &rcFull);
        nBarWidth = rcFull.right - rcFull.left;
        EXPECT_GT(nBarWidth, (rcEmpty.right - rcEmpty.left) + 30) << "two buttons widen the bar";
        ::SetForegroundWindow(game.Frame());
        EXPECT_FALSE(testsupport::SaveScreenSnapshot(game.Frame(), "custom_toolbar").empty());

        ::SetForegroundWindow(hSheet);
        ASSERT_TRUE(PressChildButton(hSheet, "Close"));
        EXPECT_TRUE(WaitForWindow(game.Pid(), "Customize", 200) == NULL) << "Close ends the sheet";
        EXPECT_EQ(0, game.Close());
    }
    EXPECT_EQ(4, testsupport::UserProfileInt("CommandBars-Summary", "Bars"));
    {
        // The next start brings the bar back with its two buttons.
        Game again;
        ASSERT_TRUE(again.Frame() != NULL);
        HWND hBar = CustomBar(again.Frame());
        ASSERT_TRUE(hBar != NULL) << "the custom bar is back";
        RECT rc;
        ::GetWindowRect(hBar, &rc);
        EXPECT_EQ(nBarWidth, rc.right - rc.left) << "with its buttons";
        ::SetForegroundWindow(again.Frame());
        EXPECT_FALSE(testsupport::SaveScreenSnapshot(again.Frame(), "custom_toolbar_restarted").empty());

        // Delete it from the Toolbars page: the question is answered OK.
        HWND hSheet = OpenCustomize(again);
        ASSERT_TRUE(hSheet != NULL);
        HWND hPage = (HWND)::SendMessage(hSheet, PSM_GETCURRENTPAGEHWND, 0, 0);
        HWND hList = ::GetDlgItem(hPage, 100);
        int nItem = (int)::SendMessageA(hList, LB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM) "Custom 1");
        ASSERT_GE(nItem, 0);
        ::SendMessage(hList, LB_SETCURSEL, nItem, 0);
        ::PostMessage(hPage, WM_COMMAND, MAKEWPARAM(100, LBN_SELCHANGE), (LPARAM)hList);
        Wait(300);
        ASSERT_TRUE(PressChildButton(hSheet, "&Delete"));
        HWND hAsk = WaitForWindow(again.Pid(), "Brindlemark", 3000);
        if (hAsk != NULL && hAsk != again.Frame())
        {
            ::PostMessage(hAsk, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            Wait(500);
        }
        EXPECT_TRUE(CustomBar(again.Frame()) == NULL) << "deleted";
        PressChildButton(hSheet, "Close");
        EXPECT_EQ(0, again.Close());
    }
    EXPECT_EQ(3, testsupport::UserProfileInt("CommandBars-Summary", "Bars"));

    // A damaged stored bar set: the game still starts with its own bars.
    {
        HKEY hKey;
        std::string strKey = std::string(kUserKey) + "\\CommandBars-Controls";
        ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(HKEY_CURRENT_USER, strKey.c_str(), 0, NULL, 0, KEY_WRITE, NULL,
                                                   &hKey, NULL));
        const BYTE garbage[] = {'Z', 'I', 'P', '!', 0xFF, 0x13, 0x77, 0x00, 0x42, 0x42, 0x42, 0x42};
        ::RegSetValueExA(hKey, "Controls", 0, REG_BINARY, garbage, sizeof(garbage));
        ::RegCloseKey(hKey);
    }
    {
        Game damaged;
        ASSERT_TRUE(damaged.Frame() != NULL) << "the game starts";
        EXPECT_EQ(3u, Descendants(damaged.Frame(), "", "XTPToolBar").size() +
                          Descendants(damaged.Frame(), "", "XTPMenuBar").size())
            << "the menu bar, Standard and Timer";
        EXPECT_TRUE(CustomBar(damaged.Frame()) == NULL);
        EXPECT_EQ(0, damaged.Close());
    }
    ClearSettings();
}

namespace
{
// Visible tooltip windows of the process, of every kind the bars use.
int VisibleTips(DWORD dwPid)
{
    int nCount = 0;
    for (const char* pszClass : {"tooltips_class32", "XTPToolTipContextToolTip", "XTPToolTipContextToolTipShadow"})
        for (HWND hWnd : TopLevels(dwPid, pszClass))
            nCount += ::IsWindowVisible(hWnd) ? 1 : 0;
    return nCount;
}

// The visible popup bars of the process, in Z order from the top.
std::vector<HWND> VisiblePopupBars(DWORD dwPid)
{
    std::vector<HWND> popups;
    for (HWND hWnd : TopLevels(dwPid, "XTPPopupBar"))
        if (::IsWindowVisible(hWnd))
            popups.push_back(hWnd);
    return popups;
}

RECT WindowRect(HWND hWnd)
{
    RECT rc = {};
    ::GetWindowRect(hWnd, &rc);
    return rc;
}

// Whether the bottom item of a popup bar on the screen is drawn enabled:
// its text has black pixels, where a disabled item's is grey.
bool IsLastMenuItemEnabled(HWND hPopup)
{
    RECT rc = WindowRect(hPopup);
    HDC hScreen = ::GetDC(NULL);
    int nDark = 0;
    for (int y = rc.bottom - 20; y < rc.bottom - 6; y++)
        for (int x = rc.left + 30; x < rc.right - 10; x++)
        {
            COLORREF cr = ::GetPixel(hScreen, x, y);
            nDark += GetRValue(cr) < 64 && GetGValue(cr) < 64 && GetBValue(cr) < 64 ? 1 : 0;
        }
    ::ReleaseDC(NULL, hScreen);
    return nDark > 10;
}
} // namespace

// Customizing a toolbar the player made, with the mouse and keys: no
// tooltip stays under a dropped button, the context menu's "Begin a Group"
// is off on the bar's first button and its name box shows a long caption
// from its start, the image palette is a grid of plain images under the
// game's text below icons, and deleting the bar takes its row away at once.
TEST_F(Brindlemark, ACustomToolbarIsCustomizedWithoutStrayTipsRowsOrCutNames)
{
    Game game;
    ASSERT_TRUE(game.Frame() != NULL);
    HWND hFrame = game.Frame();
    ::SetForegroundWindow(hFrame);
    const RECT rcViewBefore = WindowRect(game.View());
    HWND hSheet = OpenCustomize(game);
    ASSERT_TRUE(hSheet != NULL) << "the Customize sheet did not open";

    ASSERT_TRUE(PressChildButton(hSheet, "&New..."));
    HWND hNew = WaitForWindow(game.Pid(), "New Toolbar", 5000);
    ASSERT_TRUE(hNew != NULL);
    ::PostMessage(hNew, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    Wait(500);
    HWND hBar = CustomBar(hFrame);
    ASSERT_TRUE(hBar != NULL);
    EXPECT_GT(WindowRect(game.View()).top, rcViewBefore.top) << "the new bar takes a row of its own";

    // "Print Current Puzzle..." (File's seventh command) and "Load
    // Puzzle..." dragged onto the bar; the mouse rests on the second after
    // the drop.
    ::SendMessage(hSheet, PSM_SETCURSEL, 1, 0);
    Wait(400);
    HWND hPage = (HWND)::SendMessage(hSheet, PSM_GETCURRENTPAGEHWND, 0, 0);
    HWND hCommands = ::GetDlgItem(hPage, 101);
    ASSERT_TRUE(hCommands != NULL);
    for (int nItem : {6, 2})
    {
        // The list shows the item (the seventh may lie below its rows).
        ::SendMessage(hCommands, LB_SETTOPINDEX, nItem, 0);
        Wait(200);
        RECT rcBar = WindowRect(hBar);
        DragScreen(ListItemCentre(hCommands, nItem), {rcBar.right - 4, (rcBar.top + rcBar.bottom) / 2});
    }
    Wait(1500);
    EXPECT_EQ(0, VisibleTips(game.Pid())) << "no tooltip under the dropped button";
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(::GetDesktopWindow(), "customize_after_drop").empty());

    // The context menu of the bar's first button.
    RECT rcBar = WindowRect(hBar);
    ClickScreen({rcBar.left + 14, (rcBar.top + rcBar.bottom) / 2}, true);
    HWND hMenu = WaitForPopupBar(game.Pid());
    ASSERT_TRUE(hMenu != NULL) << "no context menu";
    Wait(300);
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(hMenu, "customize_first_button_menu").empty());
    EXPECT_FALSE(IsLastMenuItemEnabled(hMenu)) << "Begin a Group on the first button";
    std::vector<HWND> boxes = Descendants(hMenu, "", "RichEdit20A");
    ASSERT_EQ(1u, boxes.size()) << "the name box";
    char szName[128] = "";
    ::SendMessageA(boxes[0], WM_GETTEXT, sizeof(szName), (LPARAM)szName);
    EXPECT_STREQ("Print Current Puzzle...", szName);
    // The caption's first character lies inside the box.
    LRESULT nFirst = ::SendMessage(boxes[0], EM_POSFROMCHAR, 0, 0);
    EXPECT_GE((short)LOWORD(nFirst), 0) << "the name is cut at its start";

    // Change Button Image: six images of 23 pixels to a row, seven rows.
    PressKeys({'B'});
    HWND hPalette = NULL;
    for (int n = 0; n < 300 && hPalette == NULL; n++)
    {
        Wait(50);
        for (HWND hWnd : VisiblePopupBars(game.Pid()))
            if (hWnd != hMenu)
                hPalette = hWnd;
    }
    Wait(300);   // laid out and painted
    ASSERT_TRUE(hPalette != NULL) << "no image palette";
    const RECT rcPalette = WindowRect(hPalette);
    EXPECT_GT(rcPalette.right - rcPalette.left, 6 * 23);
    EXPECT_LE(rcPalette.right - rcPalette.left, 6 * 23 + 6);
    EXPECT_GT(rcPalette.bottom - rcPalette.top, 7 * 23);
    EXPECT_LE(rcPalette.bottom - rcPalette.top, 7 * 23 + 10);
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(::GetDesktopWindow(), "customize_image_palette").empty());
    PressKeys({VK_ESCAPE});
    PressKeys({VK_ESCAPE});
    EXPECT_TRUE(VisiblePopupBars(game.Pid()).empty());

    // The second button may begin a group.
    ClickScreen({rcBar.right - 20, (rcBar.top + rcBar.bottom) / 2}, true);
    hMenu = WaitForPopupBar(game.Pid());
    ASSERT_TRUE(hMenu != NULL) << "no context menu";
    Wait(300);
    EXPECT_TRUE(IsLastMenuItemEnabled(hMenu)) << "Begin a Group on the second button";
    PressKeys({VK_ESCAPE});

    // Deleted from the Toolbars page: its row goes while the sheet is open.
    ::SendMessage(hSheet, PSM_SETCURSEL, 0, 0);
    Wait(400);
    hPage = (HWND)::SendMessage(hSheet, PSM_GETCURRENTPAGEHWND, 0, 0);
    HWND hList = ::GetDlgItem(hPage, 100);
    int nItem = (int)::SendMessageA(hList, LB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM) "Custom 1");
    ASSERT_GE(nItem, 0);
    ::SendMessage(hList, LB_SETCURSEL, nItem, 0);
    ::PostMessage(hPage, WM_COMMAND, MAKEWPARAM(100, LBN_SELCHANGE), (LPARAM)hList);
    Wait(300);
    ASSERT_TRUE(PressChildButton(hSheet, "&Delete"));
    HWND hAsk = WaitForWindow(game.Pid(), "Brindlemark", 3000);
    ASSERT_TRUE(hAsk != NULL && hAsk != hFrame) << "no question before the delete";
    ::PostMessage(hAsk, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    Wait(500);
    EXPECT_TRUE(CustomBar(hFrame) == NULL) << "deleted";
    EXPECT_EQ(rcViewBefore.top, WindowRect(game.View()).top) << "the empty row is gone";
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(::GetDesktopWindow(), "customize_after_delete").empty());
    ASSERT_TRUE(PressChildButton(hSheet, "Close"));
    EXPECT_EQ(0, game.Close());
}

namespace
{
// A user value of the game (HKCU); empty when missing.
std::vector<BYTE> UserValue(const std::string& strSection, const char* pszEntry)
{
    std::vector<BYTE> data;
    HKEY hKey = testsupport::OpenGameSection(strSection.c_str(), false, HKEY_CURRENT_USER);
    if (hKey == NULL)
        return data;
    DWORD dwSize = 0, dwType = 0;
    if (::RegQueryValueExA(hKey, pszEntry, NULL, &dwType, NULL, &dwSize) == ERROR_SUCCESS && dwSize > 0)
    {
        data.resize(dwSize);
        if (::RegQueryValueExA(hKey, pszEntry, NULL, &dwType, data.data(), &dwSize) != ERROR_SUCCESS)
            data.clear();
    }
    ::RegCloseKey(hKey);
    return data;
}

// The stored controls of a player's toolbar "Mine" (bar 1001) holding New
// and Open, each with an image of its own, packed as the game stores them.
std::vector<BYTE> StoredPlayerBar()
{
    testsupport::CBarsFrame* pFrame = testsupport::CBarsFrame::Create(CRect(20, 20, 620, 420), TRUE);
    CXTPCommandBars* pBars = pFrame->GetCommandBars();
    CXTPToolBar* pMine = pBars->CreateCustomToolBar("Mine", 1001);
    for (int i = 0; i < 2; i++)
    {
        HBITMAP hBitmap =
            testsupport::MakeAlphaBitmap(16, 16, [=](int, int) { return testsupport::Argb(255, 30, 90 * i, 200); });
        UINT nIcon = pBars->GetImageManager()->AddCustomIcon(CXTPImageManagerIconHandle(hBitmap));
        ::DeleteObject(hBitmap);
        pMine->GetControls()->Add(xtpControlButton, ID_FILE_NEW + i)->SetCustomIconId((int)nIcon);
    }
    XTP_COMMANDBARS_PROPEXCHANGE_PARAM param;
    param.pCommandBars = pBars;
    CXTPCommandBarList list;
    pBars->GenerateCommandBarList(&list, &param);
    CXTPZipMemFile file;
    {
        CArchive ar(&file, CArchive::store, 4096);
        CXTPCommandBarsArchiveExchange px(ar);
        px.SetContext(&param);
        px.ExchangeSchema();
        EXPECT_TRUE(pBars->SaveCommandBarList(&px, &list));
        ar.Close();
    }
    pFrame->DestroyWindow();
    return testsupport::DetachPacked(file);
}

void StoreControls(const std::vector<BYTE>& data)
{
    ASSERT_TRUE(testsupport::WriteRegistryValue("CommandBars-Controls", "Controls", REG_BINARY, data.data(),
                                                (DWORD)data.size(), HKEY_CURRENT_USER));
    DWORD dwZero = 0;
    ASSERT_TRUE(testsupport::WriteRegistryValue("CommandBars-Controls", "LoadFromFile", REG_DWORD, &dwZero,
                                                sizeof(dwZero), HKEY_CURRENT_USER));
}

HWND PlayerBar(HWND hFrame)
{
    std::vector<HWND> bars = Descendants(hFrame, "Mine", "XTPToolBar");
    return bars.empty() ? NULL : bars[0];
}
} // namespace

TEST_F(Brindlemark, StoredControlsThatDoNotUnpackAreKeptAsideAcrossExitAndRestart)
{
    // The player's toolbar, stored by the game itself at its exit.
    StoreControls(StoredPlayerBar());
    {
        Game game;
        ASSERT_TRUE(game.Frame() != NULL);
        EXPECT_TRUE(PlayerBar(game.Frame()) != NULL) << "the player's toolbar loads";
        EXPECT_EQ(0, game.Close());
    }
    const std::vector<BYTE> stored = UserValue("CommandBars-Controls", "Controls");
    ASSERT_GT(stored.size(), 12u);
    ASSERT_EQ(0, memcmp(stored.data(), "ZIP!", 4));

    // One flipped bit: nothing unpacks. The game starts with its own bars,
    // and its exit keeps the damaged value aside.
    std::vector<BYTE> damaged = stored;
    damaged[12] ^= 0x10;
    StoreControls(damaged);
    {
        Game game;
        ASSERT_TRUE(game.Frame() != NULL) << "the game starts";
        EXPECT_TRUE(PlayerBar(game.Frame()) == NULL);
        EXPECT_EQ(3u, Descendants(game.Frame(), "", "XTPToolBar").size() +
                          Descendants(game.Frame(), "", "XTPMenuBar").size());
        EXPECT_EQ(0, game.Close());
    }
    EXPECT_EQ(damaged, UserValue("CommandBars-ControlsNotLoaded", "Controls"));
    EXPECT_EQ(0, testsupport::UserProfileInt("CommandBars-ControlsNotLoaded", "LoadFromFile"));

    // The next start loads the game's own bars; the value stays aside.
    {
        Game game;
        ASSERT_TRUE(game.Frame() != NULL);
        EXPECT_TRUE(PlayerBar(game.Frame()) == NULL);
        EXPECT_EQ(0, game.Close());
    }
    EXPECT_EQ(damaged, UserValue("CommandBars-ControlsNotLoaded", "Controls"));
    ClearSettings();
}

TEST_F(Brindlemark, ADamagedButtonImageLosesOnlyItselfAcrossExitAndRestart)
{
    // The image of Open (the second set stored): one flipped bit just before
    // its bitmap header.
    std::vector<BYTE> raw = testsupport::Unpacked(StoredPlayerBar());
    const std::string strCheck = "CXTPImageManagerIcons";
    auto itSet = std::search(raw.begin(), raw.end(), strCheck.begin(), strCheck.end());
    ASSERT_TRUE(itSet != raw.end());
    itSet = std::search(itSet + 1, raw.end(), strCheck.begin(), strCheck.end());
    ASSERT_TRUE(itSet != raw.end());
    const BYTE header[] = {0x34, 0x00, 0x28, 0x00, 0x00, 0x00};
    auto itHeader = std::search(itSet, raw.end(), header, header + sizeof(header));
    ASSERT_TRUE(itHeader != raw.end());
    *(itHeader + 1) ^= 0x01;
    StoreControls(testsupport::Packed(raw));

    int nWidth = 0;
    {
        Game game;
        ASSERT_TRUE(game.Frame() != NULL);
        HWND hBar = PlayerBar(game.Frame());
        ASSERT_TRUE(hBar != NULL) << "the toolbar holding the damaged image loads";
        RECT rc;
        ::GetWindowRect(hBar, &rc);
        nWidth = rc.right - rc.left;
        ::SetForegroundWindow(game.Frame());
        EXPECT_FALSE(testsupport::SaveScreenSnapshot(game.Frame(), "damaged_button_image").empty());
        EXPECT_EQ(0, game.Close());
    }
    EXPECT_FALSE(UserValue("CommandBars-ControlsNotLoaded", "Controls").empty()) << "kept aside";
    {
        // The exit stored the toolbar with both its buttons.
        Game game;
        ASSERT_TRUE(game.Frame() != NULL);
        HWND hBar = PlayerBar(game.Frame());
        ASSERT_TRUE(hBar != NULL) << "the toolbar is still there after the exit";
        RECT rc;
        ::GetWindowRect(hBar, &rc);
        EXPECT_EQ(nWidth, rc.right - rc.left) << "with both its buttons";
        ::SetForegroundWindow(game.Frame());
        EXPECT_FALSE(testsupport::SaveScreenSnapshot(game.Frame(), "damaged_button_image_restarted").empty());
        EXPECT_EQ(0, game.Close());
    }
    ClearSettings();
}

namespace
{
// A file of the bytes in the program's temporary folder.
std::string WriteTempFile(const char* pszName, const std::vector<BYTE>& data)
{
    char szFolder[MAX_PATH] = "";
    ::GetTempPathA(MAX_PATH, szFolder);
    std::string strPath = std::string(szFolder) + pszName;
    std::ofstream file(strPath.c_str(), std::ios::binary | std::ios::trunc);
    file.write((const char*)data.data(), (std::streamsize)data.size());
    return strPath;
}

// The editor's Import: the file dialog gets the path and OK.
void ImportIntoEditor(DWORD dwPid, HWND hEditor, const std::string& strPath)
{
    ::PostMessage(hEditor, WM_COMMAND, 9146, 0);   // Import from File
    HWND hOpen = WaitForWindow(dwPid, "Open", 5000);
    ASSERT_TRUE(hOpen != NULL) << "Import opened no file dialog";
    ::SetDlgItemTextA(hOpen, 1148, strPath.c_str());
    ::SetDlgItemTextA(hOpen, 1152, strPath.c_str());
    ::PostMessage(hOpen, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    Wait(800);
}

bool IsRunning(const Game& game, DWORD dwPid)
{
    HANDLE hProcess = ::OpenProcess(SYNCHRONIZE, FALSE, dwPid);
    if (hProcess == NULL)
        return false;
    const bool bRunning = ::WaitForSingleObject(hProcess, 0) == WAIT_TIMEOUT;
    ::CloseHandle(hProcess);
    return bRunning && ::IsWindow(game.Frame());
}
} // namespace

// A player opens the button editor from the Customize context menu and
// imports a damaged cursor: the game says the picture cannot be read and
// goes on; a sound cursor then becomes the button's image.
TEST_F(Brindlemark, ADamagedCursorImportedIntoTheButtonEditorIsRefusedAndASoundOneTaken)
{
    const std::string strDamaged = WriteTempFile("bm-damaged.cur", testsupport::DamagedCursorBytes());
    const std::string strSound = WriteTempFile("bm-sound.cur", testsupport::MakeFourBitIcon(2, 16));
    {
        Game game;
        ASSERT_TRUE(game.Frame() != NULL);
        ::SetForegroundWindow(game.Frame());
        HWND hSheet = OpenCustomize(game);
        ASSERT_TRUE(hSheet != NULL) << "the Customize sheet did not open";

        // A right click on the Standard toolbar's first button, then E for
        // "Edit Button Image...".
        std::vector<HWND> standard = Descendants(game.Frame(), "Standard", "XTPToolBar");
        ASSERT_FALSE(standard.empty());
        RECT rcBar;
        ::GetWindowRect(standard[0], &rcBar);
        ClickScreen({rcBar.left + 14, (rcBar.top + rcBar.bottom) / 2}, true);
        PressKeys({'E'});
        HWND hEditor = WaitForWindow(game.Pid(), "Button Editor", 5000);
        ASSERT_TRUE(hEditor != NULL) << "the context menu opened no button editor";
        Wait(300);

        ImportIntoEditor(game.Pid(), hEditor, strDamaged);
        ASSERT_TRUE(IsRunning(game, game.Pid())) << "the damaged cursor crashed the game";
        HWND hMessage = WaitForWindow(game.Pid(), "Brindlemark", 5000);
        ASSERT_TRUE(hMessage != NULL) << "no message about the damaged file";
        EXPECT_FALSE(
            Descendants(hMessage, "The picture could not be read. The button image is unchanged.", "").empty());
        EXPECT_FALSE(testsupport::SaveScreenSnapshot(hMessage, "button_editor_damaged_cursor").empty());
        ::PostMessage(hMessage, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        Wait(500);

        // The sound cursor: no message, and OK gives the button its image.
        ImportIntoEditor(game.Pid(), hEditor, strSound);
        EXPECT_TRUE(WaitForWindow(game.Pid(), "Brindlemark", 500) == NULL) << "a sound cursor is read";
        ::SetForegroundWindow(hEditor);
        Wait(300);
        EXPECT_FALSE(testsupport::SaveScreenSnapshot(hEditor, "button_editor_sound_cursor").empty());
        ::PostMessage(hEditor, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        Wait(500);
        EXPECT_TRUE(WaitForWindow(game.Pid(), "Button Editor", 200) == NULL);
        ::SetForegroundWindow(game.Frame());
        Wait(300);
        EXPECT_FALSE(testsupport::SaveScreenSnapshot(game.Frame(), "button_with_imported_cursor").empty());

        ::SetForegroundWindow(hSheet);
        ASSERT_TRUE(PressChildButton(hSheet, "Close"));
        EXPECT_EQ(0, game.Close());
    }
    ::DeleteFileA(strDamaged.c_str());
    ::DeleteFileA(strSound.c_str());
    ClearSettings();
}

namespace
{
// A one-bit BMP of cx x cy pixels, top-down, with a coloured palette and a
// repeating row.
std::vector<BYTE> OneBitBmp(int cx, int cy)
{
    const size_t nStride = (size_t)((cx + 31) / 32) * 4;
    const DWORD nOffset = 14 + 40 + 8;
    std::vector<BYTE> out(nOffset + nStride * (size_t)cy, 0);
    const DWORD header[] = {(DWORD)out.size(), 0, nOffset, 40, (DWORD)cx, (DWORD)-cy, 0x00010001, 0, 0, 0, 0, 0, 0};
    out[0] = 'B';
    out[1] = 'M';
    memcpy(&out[2], header, sizeof(header));
    const BYTE palette[8] = {0, 255, 60, 0, 37, 244, 65, 0};
    memcpy(&out[54], palette, sizeof(palette));
    for (size_t x = 0; x < nStride; x++)
        out[nOffset + x] = (BYTE)((x * 13 + 7) & 0xFF);
    for (int y = 1; y < cy; y++)
        memcpy(&out[nOffset + (size_t)y * nStride], &out[nOffset], nStride);
    return out;
}

// Clicks the editor's "Import from File" button with the pointer: the
// twelfth button of its tools bar, which wraps after every fourth.
void ClickImportButton(HWND hEditor)
{
    std::vector<HWND> bars = Descendants(hEditor, "", TOOLBARCLASSNAMEA);
    HWND hTools = NULL;
    for (HWND hBar : bars)
    {
        if (::SendMessage(hBar, TB_COMMANDTOINDEX, 9146, 0) >= 0)
            hTools = hBar;
    }
    ASSERT_TRUE(hTools != NULL) << "the editor has no tools bar with Import";
    const int nIndex = (int)::SendMessage(hTools, TB_COMMANDTOINDEX, 9146, 0);
    const DWORD dwSize = (DWORD)::SendMessage(hTools, TB_GETBUTTONSIZE, 0, 0);
    POINT pt = {(nIndex % 4) * (int)LOWORD(dwSize) + (int)LOWORD(dwSize) / 2,
                (nIndex / 4) * (int)HIWORD(dwSize) + (int)HIWORD(dwSize) / 2};
    ::ClientToScreen(hTools, &pt);
    ClickScreen(pt, false);
}
} // namespace

// A player imports damaged pictures into the button editor with the
// pointer and the keyboard: the metafile bytes that crashed the game (named
// .gif), the metafile that took seconds, and a one-bit BMP of 16,384 x
// 8,000 pixels that took a gigabyte. Each is refused with the message, the
// image drawn before stays, and the game answers without growing.
TEST_F(Brindlemark, DamagedAndHugePicturesImportedIntoTheButtonEditorAreRefusedAndKeepTheImage)
{
    const std::vector<BYTE> crashing = testsupport::ReadDataFile("damaged-emf-polyline-count-named.gif");
    const std::vector<BYTE> slow = testsupport::ReadDataFile("damaged-emf-slow.emf");
    ASSERT_FALSE(crashing.empty()) << testsupport::DataFilePath("damaged-emf-polyline-count-named.gif");
    ASSERT_FALSE(slow.empty()) << testsupport::DataFilePath("damaged-emf-slow.emf");
    const std::string kFiles[] = {WriteTempFile("bm-damaged-metafile.gif", crashing),
                                  WriteTempFile("bm-slow-metafile.emf", slow),
                                  WriteTempFile("bm-big-1bit.bmp", OneBitBmp(16384, 8000))};
    {
        Game game;
        ASSERT_TRUE(game.Frame() != NULL);
        ::SetForegroundWindow(game.Frame());
        HWND hSheet = OpenCustomize(game);
        ASSERT_TRUE(hSheet != NULL) << "the Customize sheet did not open";
        std::vector<HWND> standard = Descendants(game.Frame(), "Standard", "XTPToolBar");
        ASSERT_FALSE(standard.empty());
        RECT rcBar;
        ::GetWindowRect(standard[0], &rcBar);
        ClickScreen({rcBar.left + 14, (rcBar.top + rcBar.bottom) / 2}, true);
        PressKeys({'E'});
        HWND hEditor = WaitForWindow(game.Pid(), "Button Editor", 5000);
        ASSERT_TRUE(hEditor != NULL) << "the context menu opened no button editor";
        ::SetForegroundWindow(hEditor);
        Wait(300);

        // A black dot drawn with the pencil in the middle of the canvas.
        HWND hCanvas = ::GetDlgItem(hEditor, 100);
        ASSERT_TRUE(hCanvas != NULL);
        RECT rcCanvas;
        ::GetWindowRect(hCanvas, &rcCanvas);
        const POINT ptCell = {(rcCanvas.left + rcCanvas.right) / 2, (rcCanvas.top + rcCanvas.bottom) / 2};
        const Patch blank = ScreenPatch(ptCell);
        ClickScreen(ptCell, false);
        const Patch drawn = WaitForPatch(ptCell, blank, false);
        ASSERT_NE(blank, drawn) << "the pencil drew nothing";

        HANDLE hProcess = ::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, game.Pid());
        ASSERT_TRUE(hProcess != NULL);
        const SIZE_T nPeakBefore = testsupport::PeakProcessMemory(hProcess);
        EXPECT_NE(0u, nPeakBefore);
        for (const std::string& strPath : kFiles)
        {
            SCOPED_TRACE(strPath);
            ClickImportButton(hEditor);
            HWND hOpen = WaitForWindow(game.Pid(), "Open", 5000);
            ASSERT_TRUE(hOpen != NULL) << "Import opened no file dialog";
            ::SetDlgItemTextA(hOpen, 1148, strPath.c_str());
            ::SetDlgItemTextA(hOpen, 1152, strPath.c_str());
            ::SetForegroundWindow(hOpen);
            Wait(200);
            PressKeys({VK_RETURN});
            // The refusal comes at once (the damaged files took seconds or
            // crashed); five seconds leave room for a busy machine.
            HWND hMessage = WaitForWindow(game.Pid(), "Brindlemark", 5000);
            ASSERT_TRUE(IsRunning(game, game.Pid())) << "the picture crashed the game";
            ASSERT_TRUE(hMessage != NULL) << "no message about the picture";
            EXPECT_FALSE(
                Descendants(hMessage, "The picture could not be read. The button image is unchanged.", "").empty());
            if (&strPath == &kFiles[0])
            {
                EXPECT_FALSE(testsupport::SaveScreenSnapshot(hMessage, "button_editor_damaged_metafile").empty());
            }
            ::SetForegroundWindow(hMessage);
            Wait(200);
            PressKeys({VK_RETURN});
            EXPECT_TRUE(WaitUntilGone(hMessage, 5000)) << "Enter closes the message";
            EXPECT_EQ(drawn, WaitForPatch(ptCell, drawn, true)) << "the image drawn before stays";
        }
        const SIZE_T nPeakAfter = testsupport::PeakProcessMemory(hProcess);
        ::CloseHandle(hProcess);
        EXPECT_LT(nPeakAfter > nPeakBefore ? nPeakAfter - nPeakBefore : 0, (SIZE_T)100 * 1024 * 1024)
            << "the pictures were refused without taking memory";
        ::SetForegroundWindow(hEditor);
        Wait(300);
        EXPECT_FALSE(testsupport::SaveScreenSnapshot(hEditor, "button_editor_after_damaged_pictures").empty());

        PressKeys({VK_ESCAPE});
        EXPECT_TRUE(WaitUntilGone(hEditor, 5000)) << "Escape closes the editor";
        ::SetForegroundWindow(hSheet);
        ASSERT_TRUE(PressChildButton(hSheet, "Close"));
        EXPECT_EQ(0, game.Close());
    }
    for (const std::string& strPath : kFiles)
        ::DeleteFileA(strPath.c_str());
    ClearSettings();
}

// A player imports, one after another, the crafted metafiles that crashed
// the game (bitmap copies reading far away, scaling that divides by zero)
// or froze it for minutes (pattern fills, regions) into the button editor:
// each is drawn or refused within about two seconds, the game answers its
// messages throughout, and a refusal keeps the image drawn before.
TEST_F(Brindlemark, CraftedMetafilesImportedIntoTheButtonEditorAreDrawnOrRefusedQuicklyWhileTheGameAnswers)
{
    std::vector<std::string> files;
    for (const char* pszFile : testsupport::kCraftedMetafiles)
    {
        const std::vector<BYTE> data = testsupport::ReadDataFile((std::string("crafted-metafiles/") + pszFile).c_str());
        ASSERT_FALSE(data.empty()) << pszFile;
        files.push_back(WriteTempFile((std::string("bm-") + pszFile).c_str(), data));
    }
    {
        Game game;
        ASSERT_TRUE(game.Frame() != NULL);
        ::SetForegroundWindow(game.Frame());
        HWND hSheet = OpenCustomize(game);
        ASSERT_TRUE(hSheet != NULL) << "the Customize sheet did not open";
        std::vector<HWND> standard = Descendants(game.Frame(), "Standard", "XTPToolBar");
        ASSERT_FALSE(standard.empty());
        RECT rcBar;
        ::GetWindowRect(standard[0], &rcBar);
        ClickScreen({rcBar.left + 14, (rcBar.top + rcBar.bottom) / 2}, true);
        PressKeys({'E'});
        HWND hEditor = WaitForWindow(game.Pid(), "Button Editor", 5000);
        ASSERT_TRUE(hEditor != NULL) << "the context menu opened no button editor";
        ::SetForegroundWindow(hEditor);
        Wait(300);

        // A black dot in the middle of the canvas, and a second one drawn
        // and undone: Redo stays on until an import makes a new step.
        HWND hCanvas = ::GetDlgItem(hEditor, 100);
        ASSERT_TRUE(hCanvas != NULL);
        RECT rcCanvas;
        ::GetWindowRect(hCanvas, &rcCanvas);
        const POINT ptCell = {(rcCanvas.left + rcCanvas.right) / 2, (rcCanvas.top + rcCanvas.bottom) / 2};
        const POINT ptCorner = {rcCanvas.left + 4, rcCanvas.top + 4};
        const Patch blank = ScreenPatch(ptCell);
        ClickScreen(ptCell, false);
        const Patch drawn = WaitForPatch(ptCell, blank, false);
        ASSERT_NE(blank, drawn) << "the pencil drew nothing";
        const Patch cornerBlank = ScreenPatch(ptCorner);
        ClickScreen(ptCorner, false);
        ASSERT_NE(cornerBlank, WaitForPatch(ptCorner, cornerBlank, false)) << "the pencil drew nothing";
        ::PostMessage(hEditor, WM_COMMAND, 9144, 0);   // Undo
        ASSERT_EQ(cornerBlank, WaitForPatch(ptCorner, cornerBlank, true));
        HWND hRedoBar = NULL;
        for (HWND hBar : Descendants(hEditor, "", TOOLBARCLASSNAMEA))
        {
            if (::SendMessage(hBar, TB_COMMANDTOINDEX, 9145, 0) >= 0)
                hRedoBar = hBar;
        }
        ASSERT_TRUE(hRedoBar != NULL) << "the editor has no Redo button";
        auto RedoOn = [&]() { return ::SendMessage(hRedoBar, TB_ISBUTTONENABLED, 9145, 0) != 0; };
        for (int n = 0; n < 100 && !RedoOn(); n++)
            Wait(50);
        ASSERT_TRUE(RedoOn());

        int nDrawn = 0, nRefused = 0;
        for (size_t i = 0; i < files.size(); i++)
        {
            SCOPED_TRACE(testsupport::kCraftedMetafiles[i]);
            ::PostMessage(hEditor, WM_COMMAND, 9146, 0);   // Import from File
            HWND hOpen = WaitForWindow(game.Pid(), "Open", 5000);
            ASSERT_TRUE(hOpen != NULL) << "Import opened no file dialog";
            ::SetDlgItemTextA(hOpen, 1148, files[i].c_str());
            ::SetDlgItemTextA(hOpen, 1152, files[i].c_str());
            const DWORD dwStart = ::GetTickCount();
            ::PostMessage(hOpen, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            // Until the message shows, or Redo goes off with the new step
            // of a drawn picture, the editor is asked every few
            // milliseconds whether it answers.
            HWND hMessage = NULL;
            bool bDrawn = false;
            DWORD dwLongest = 0, dwTook = 0;
            int nUnanswered = 0;
            while (hMessage == NULL && !bDrawn && (dwTook = ::GetTickCount() - dwStart) < 5000)
            {
                const DWORD dwAsked = ::GetTickCount();
                DWORD_PTR dwResult = 0;
                if (::SendMessageTimeout(hEditor, WM_NULL, 0, 0, SMTO_NORMAL, 1000, &dwResult) == 0)
                    nUnanswered++;
                dwLongest = std::max<DWORD>(dwLongest, ::GetTickCount() - dwAsked);
                hMessage = WaitForWindow(game.Pid(), "Brindlemark", 0);
                bDrawn = hMessage == NULL && !RedoOn();
                if (hMessage == NULL && !bDrawn)
                    Wait(20);
            }
            ASSERT_TRUE(IsRunning(game, game.Pid())) << "the picture crashed the game";
            ASSERT_TRUE(hMessage != NULL || bDrawn) << "neither drawn nor refused";
            std::printf("%s: %s after %lu ms; longest answer %lu ms\n", testsupport::kCraftedMetafiles[i], hMessage ? "refused" : "drawn",
                        (unsigned long)dwTook, (unsigned long)dwLongest);
            // Two seconds at most for the picture; the file dialog's
            // closing and the message's or the button's showing come on top.
            EXPECT_LT(dwTook, 2600u);
            EXPECT_EQ(0, nUnanswered) << "the game answers while the picture is drawn";
            EXPECT_LT(dwLongest, 500u);
            if (hMessage != NULL)
            {
                nRefused++;
                EXPECT_FALSE(
                    Descendants(hMessage, "The picture could not be read. The button image is unchanged.", "").empty());
                ::PostMessage(hMessage, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
                ASSERT_TRUE(WaitUntilGone(hMessage, 5000)) << "OK closes the message";
            }
            else
            {
                nDrawn++;
                if (nDrawn == 1)
                {
                    Wait(300);
                    EXPECT_FALSE(testsupport::SaveScreenSnapshot(hEditor, "button_editor_crafted_metafile").empty());
                }
                // Undo: the dot again, and the picture to redo.
                ::PostMessage(hEditor, WM_COMMAND, 9144, 0);
                for (int n = 0; n < 100 && !RedoOn(); n++)
                    Wait(50);
            }
            ASSERT_EQ(drawn, WaitForPatch(ptCell, drawn, true)) << "the image drawn before is there";
            ASSERT_TRUE(RedoOn()) << "and its history";
        }
        EXPECT_GT(nRefused, 0);
        EXPECT_GT(nDrawn, 0);

        ::SetForegroundWindow(hEditor);
        Wait(200);
        PressKeys({VK_ESCAPE});
        EXPECT_TRUE(WaitUntilGone(hEditor, 5000)) << "Escape closes the editor";
        ::SetForegroundWindow(hSheet);
        ASSERT_TRUE(PressChildButton(hSheet, "Close"));
        EXPECT_EQ(0, game.Close());
    }
    for (const std::string& strPath : files)
        ::DeleteFileA(strPath.c_str());
    ClearSettings();
}

// The largest shortcut table the game keeps, stored from an earlier run:
// the Keyboard page lists every key of the command clicked.
TEST_F(Brindlemark, TheKeyboardPageListsTheKeysOfTheLargestStoredTable)
{
    const int kLoadPuzzle = ID_FILE_OPEN;
    std::vector<ACCEL> table(32768);
    int nLoadKeys = 0;
    for (size_t i = 0; i < table.size(); i++)
    {
        table[i].fVirt = (BYTE)(FVIRTKEY | ((i / 26 % 8) << 2));
        table[i].key = (WORD)('A' + i % 26);
        table[i].cmd = i % 64 == 0 ? (WORD)kLoadPuzzle : (WORD)(40000 + i % 1000);
        nLoadKeys += table[i].cmd == kLoadPuzzle ? 1 : 0;
    }
    {
        HKEY hKey;
        std::string strKey = std::string(kUserKey) + "\\CommandBars";
        ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(HKEY_CURRENT_USER, strKey.c_str(), 0, NULL, 0, KEY_WRITE, NULL,
                                                   &hKey, NULL));
        ::RegSetValueExA(hKey, "Accelerators", 0, REG_BINARY, (const BYTE*)table.data(),
                         (DWORD)(table.size() * sizeof(ACCEL)));
        ::RegCloseKey(hKey);
    }
    {
        Game game;
        ASSERT_TRUE(game.Frame() != NULL);
        ::SetForegroundWindow(game.Frame());
        HWND hSheet = OpenCustomize(game);
        ASSERT_TRUE(hSheet != NULL);
        ::SendMessage(hSheet, PSM_SETCURSEL, 2, 0);   // Toolbars, Commands, Keyboard, Options
        Wait(400);
        HWND hPage = (HWND)::SendMessage(hSheet, PSM_GETCURRENTPAGEHWND, 0, 0);
        HWND hCommands = ::GetDlgItem(hPage, 102), hKeys = ::GetDlgItem(hPage, 104);
        ASSERT_TRUE(hCommands != NULL && hKeys != NULL) << "the Keyboard page";

        int nItem = (int)::SendMessageA(hCommands, LB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM) "Load Puzzle...");
        ASSERT_GE(nItem, 0);
        ::SendMessage(hCommands, LB_SETCURSEL, nItem, 0);
        ::PostMessage(hPage, WM_COMMAND, MAKEWPARAM(102, LBN_SELCHANGE), (LPARAM)hCommands);
        Wait(500);
        EXPECT_EQ(nLoadKeys, (int)::SendMessage(hKeys, LB_GETCOUNT, 0, 0));
        char szFirst[64] = "";
        ::SendMessageA(hKeys, LB_GETTEXT, 0, (LPARAM)szFirst);
        EXPECT_STREQ("A", szFirst);
        ::SetForegroundWindow(hSheet);
        Wait(300);
        EXPECT_FALSE(testsupport::SaveScreenSnapshot(hSheet, "keyboard_page_largest_table").empty());

        // Another command has none of them.
        ::SendMessage(hCommands, LB_SETCURSEL, nItem == 0 ? 1 : 0, 0);
        ::PostMessage(hPage, WM_COMMAND, MAKEWPARAM(102, LBN_SELCHANGE), (LPARAM)hCommands);
        Wait(500);
        EXPECT_EQ(0, (int)::SendMessage(hKeys, LB_GETCOUNT, 0, 0));

        ASSERT_TRUE(PressChildButton(hSheet, "Close"));
        EXPECT_EQ(0, game.Close());
    }
    ClearSettings();
}

namespace
{
// The visible dialog of the process that is not hOther, waited for.
HWND WaitForDialogOtherThan(DWORD dwPid, HWND hOther, int nMilliseconds = 5000)
{
    return WaitForVisibleTopLevel(dwPid, "#32770", nMilliseconds, hOther);
}

std::string MessageText(HWND hDialog)
{
    char szText[512] = "";
    ::GetDlgItemTextA(hDialog, IDC_MESSAGE_TEXT, szText, sizeof(szText));
    return szText;
}

bool AnyPopupBarVisible(DWORD dwPid)
{
    for (HWND hWnd : TopLevels(dwPid, "XTPPopupBar"))
        if (::IsWindowVisible(hWnd))
            return true;
    return false;
}

// Chooses a menu command as a keyboard player does: Alt, the menu's letter,
// then the keys given (arrows, ending with Return), each pressed and let go.
void ChooseWithKeys(HWND hFrame, WORD chMenu, const std::vector<WORD>& keys)
{
    ::SetForegroundWindow(hFrame);
    Wait(100);
    PressKeys({VK_MENU});
    PressKeys({chMenu});
    for (WORD vk : keys)
        PressKeys({vk});
}

// Once the dialog a menu command opened is closed the menu bar has left
// its keyboard mode: Down opens no menu.
void ExpectMenuBarLeftKeyboardMode(const Game& game, const char* pszCommand)
{
    Wait(300);
    EXPECT_FALSE(AnyPopupBarVisible(game.Pid())) << pszCommand;
    ::SetForegroundWindow(game.Frame());
    PressKeys({VK_DOWN});
    EXPECT_FALSE(AnyPopupBarVisible(game.Pid())) << pszCommand << ": Down opened a menu";
    PressKeys({VK_ESCAPE});
}
} // namespace

// Return on a menu command is spent choosing it: the dialog or question the
// command opens waits for the player instead of taking the same key.
TEST_F(Brindlemark, DialogsOfCommandsChosenWithTheKeyboardWaitForThePlayer)
{
    Game game;
    ASSERT_TRUE(game.Frame() != NULL);
    HWND hFrame = game.Frame();

    // File > New > Puzzle: the New Puzzle dialog waits; OK makes the puzzle.
    ChooseWithKeys(hFrame, 'F', {VK_RETURN, VK_RETURN});
    HWND hNew = WaitForDialogOtherThan(game.Pid(), NULL);
    ASSERT_TRUE(hNew != NULL) << "File > New > Puzzle";
    Wait(700);
    ASSERT_TRUE(::IsWindowVisible(hNew)) << "the New Puzzle dialog answered itself";
    EXPECT_EQ("New Puzzle", WindowText(hNew));
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(hFrame, "new_puzzle_from_the_keyboard").empty());
    ClickButton(hNew, "OK");
    DWORD dwStart = ::GetTickCount();
    while ((::IsWindow(hNew) || WaitForWindow(game.Pid(), "Create Progress", 10) != NULL) &&
           ::GetTickCount() - dwStart < 60000)
        Wait(50);
    Wait(500);
    ::SetForegroundWindow(hFrame);
    for (int n = 0; n < 100 && !::IsWindowEnabled(hFrame); n++)
        Wait(50);
    ExpectMenuBarLeftKeyboardMode(game, "New Puzzle");

    // A move, so that Revert to start has something to take back.
    ::SetForegroundWindow(hFrame);
    ClickScreen(game.SquareCentre(9, 1, 1), true);

    // The commands that ask or open a dialog, each reached with the arrows
    // and chosen with Return; the question or dialog waits, and is closed.
    const struct
    {
        const char* pszCommand;
        WORD chMenu;
        std::vector<WORD> keys;
        const char* pszTitle;    // the dialog's title, or NULL
        const char* pszMessage;  // the question's text, or NULL
    } commands[] = {
        {"Edit > Revert to start...", 'E', {VK_END, VK_UP, VK_RETURN}, NULL, "Are you sure you want to start again?"},
        {"Edit > Show Solution...", 'E', {VK_END, VK_RETURN}, NULL,
         "Are you sure you want to see the solution and finish the puzzle?"},
        {"File > Load Puzzle...", 'F', {VK_DOWN, VK_DOWN, VK_RETURN}, NULL, NULL},
        {"File > Print Puzzle Book...", 'F', {VK_END, VK_UP, VK_RETURN}, NULL, NULL},
        {"View > Appearance Profile > Show Appearance Profile List...", 'V', {VK_RETURN, VK_DOWN, VK_RETURN},
         "Appearance Profile List", NULL},
        {"Help > About Brindlemark...", 'H', {VK_END, VK_RETURN}, NULL, NULL},
        {"File > Exit", 'F', {VK_END, VK_RETURN}, NULL, NULL},
    };
    for (const auto& command : commands)
    {
        ChooseWithKeys(hFrame, command.chMenu, command.keys);
        HWND hDialog = WaitForDialogOtherThan(game.Pid(), NULL);
        ASSERT_TRUE(hDialog != NULL) << command.pszCommand << ": nothing opened";
        Wait(700);
        EXPECT_TRUE(::IsWindowVisible(hDialog)) << command.pszCommand << ": answered itself";
        EXPECT_TRUE(::IsWindow(hFrame)) << command.pszCommand;
        if (command.pszTitle != NULL)
        {
            EXPECT_EQ(command.pszTitle, WindowText(hDialog)) << command.pszCommand;
        }
        if (command.pszMessage != NULL)
        {
            EXPECT_EQ(command.pszMessage, MessageText(hDialog)) << command.pszCommand;
        }
        ::PostMessage(hDialog, WM_COMMAND, IDCANCEL, 0);
        EXPECT_TRUE(WaitUntilGone(hDialog)) << command.pszCommand;
        ExpectMenuBarLeftKeyboardMode(game, command.pszCommand);
    }

    // Help > Show Tutorial... opens on its first page: Prev is disabled.
    ChooseWithKeys(hFrame, 'H', {VK_RETURN});
    HWND hTutorial = WaitForDialogOtherThan(game.Pid(), NULL);
    ASSERT_TRUE(hTutorial != NULL) << "Help > Show Tutorial...";
    Wait(500);
    ASSERT_TRUE(::GetDlgItem(hTutorial, 2056) != NULL);
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(hTutorial, 2056))) << "the tutorial opened past its first page";
    ::PostMessage(hTutorial, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(WaitUntilGone(hTutorial));
    ExpectMenuBarLeftKeyboardMode(game, "Show Tutorial");

    // The game was not touched by any of it: the puzzle still runs, so
    // closing asks to save it.
    ::PostMessage(hFrame, WM_CLOSE, 0, 0);
    HWND hQuestion = WaitForDialogOtherThan(game.Pid(), NULL);
    ASSERT_TRUE(hQuestion != NULL);
    ClickButton(hQuestion, "Don't Save");
    EXPECT_EQ(0, game.WaitForExit());
    ClearSettings();
}

namespace
{
// Makes a puzzle of the default profile through File > New > Puzzle and
// gives the frame back to the player.
void MakePuzzleFromTheKeyboard(Game& game)
{
    HWND hFrame = game.Frame();
    ChooseWithKeys(hFrame, 'F', {VK_RETURN, VK_RETURN});
    HWND hNew = WaitForDialogOtherThan(game.Pid(), NULL);
    ASSERT_TRUE(hNew != NULL) << "File > New > Puzzle";
    Wait(300);
    ClickButton(hNew, "OK");
    DWORD dwStart = ::GetTickCount();
    while ((::IsWindow(hNew) || WaitForWindow(game.Pid(), "Create Progress", 10) != NULL) &&
           ::GetTickCount() - dwStart < 60000)
        Wait(50);
    Wait(500);
    ::SetForegroundWindow(hFrame);
    for (int n = 0; n < 100 && !::IsWindowEnabled(hFrame); n++)
        Wait(50);
    ASSERT_TRUE(::IsWindowEnabled(hFrame));
}

bool ClipboardHoldsABitmap()
{
    return ::IsClipboardFormatAvailable(CF_BITMAP) != FALSE;
}

void EmptyTheClipboard()
{
    for (int n = 0; n < 50 && !::OpenClipboard(NULL); n++)
        Wait(20);
    ::EmptyClipboard();
    ::CloseClipboard();
}
} // namespace

// Alt, E, Return runs the first command the Edit menu shows enabled now,
// not the one that was enabled when the menu was opened before: Undo after
// a move, and Copy Puzzle To Clipboard once nothing is left to undo.
TEST_F(Brindlemark, AMenuOpenedFromTheKeyboardRunsTheFirstCommandItShowsEnabled)
{
    Game game;
    ASSERT_TRUE(game.Frame() != NULL);
    HWND hFrame = game.Frame();
    MakePuzzleFromTheKeyboard(game);
    if (HasFatalFailure())
        return;

    // The Edit menu opened once before any move: Undo is disabled then.
    ChooseWithKeys(hFrame, 'E', {VK_ESCAPE, VK_ESCAPE});
    EXPECT_FALSE(AnyPopupBarVisible(game.Pid()));

    // A move: a right click marks a square.
    int s = 0;
    POINT ptMarked = game.SquareCentre(8, 3, 3, &s);   // the Easy profile: 8 x 8
    ASSERT_GT(s, 10);
    POINT ptCorner = {ptMarked.x - s / 2 + s / 8, ptMarked.y - s / 2 + s / 8};
    const Patch unmarked = ScreenPatch(ptCorner);
    ::SetForegroundWindow(hFrame);
    ClickScreen(ptMarked, true);
    ASSERT_TRUE(unmarked != WaitForPatch(ptCorner, unmarked, false)) << "the right click marked nothing";
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(hFrame, "edit_menu_keys_after_a_move").empty());
    EmptyTheClipboard();
    ASSERT_FALSE(ClipboardHoldsABitmap());

    // Alt, E, Return: Undo takes the mark back; nothing is copied.
    ChooseWithKeys(hFrame, 'E', {VK_RETURN});
    EXPECT_TRUE(unmarked == WaitForPatch(ptCorner, unmarked, true)) << "Alt, E, Return did not undo the move";
    EXPECT_FALSE(ClipboardHoldsABitmap()) << "Alt, E, Return copied the puzzle instead of undoing";
    EXPECT_FALSE(AnyPopupBarVisible(game.Pid()));

    // Nothing is left to undo: the same keys copy the puzzle.
    ChooseWithKeys(hFrame, 'E', {VK_RETURN});
    for (int n = 0; n < 100 && !ClipboardHoldsABitmap(); n++)
        Wait(50);
    EXPECT_TRUE(ClipboardHoldsABitmap()) << "Alt, E, Return with Undo disabled did not copy the puzzle";
    EXPECT_FALSE(AnyPopupBarVisible(game.Pid()));
    EXPECT_TRUE(unmarked == ScreenPatch(ptCorner));

    ::PostMessage(hFrame, WM_CLOSE, 0, 0);
    HWND hQuestion = WaitForDialogOtherThan(game.Pid(), NULL);
    if (hQuestion != NULL)
        ClickButton(hQuestion, "Don't Save");
    EXPECT_EQ(0, game.WaitForExit());
    EmptyTheClipboard();
    ClearSettings();
}

// The profile panes' sort toolbars have no command bars: the pointer
// resting on either icon-only button brings up its tip.
TEST_F(Brindlemark, ThePanesSortButtonsShowTipsWhenThePointerRestsOnThem)
{
    Game game;
    ASSERT_TRUE(game.Frame() != NULL);
    HWND hFrame = game.Frame();
    game.Command(ID_APPEARANCE_PANE);
    game.Command(ID_DIFFICULTY_PANE);
    ::SetForegroundWindow(hFrame);
    Wait(300);

    // The panes' toolbars are the toolbars with the standard toolbar id.
    std::vector<HWND> bars;
    for (HWND hBar : Descendants(hFrame, "", "XTPToolBar"))
        if (::GetDlgCtrlID(hBar) == AFX_IDW_TOOLBAR && ::IsWindowVisible(hBar))
            bars.push_back(hBar);
    ASSERT_EQ(2u, bars.size());
    int nShot = 0;
    for (HWND hBar : bars)
    {
        RECT rcBar = WindowRect(hBar);
        const int cy = rcBar.bottom - rcBar.top;
        ASSERT_GT(cy, 16);
        // The two 16 x 16 buttons sit at the bar's left end, one bar height
        // wide each.
        for (int nButton = 0; nButton < 2; nButton++)
        {
            SCOPED_TRACE(nShot);
            POINT pt = {rcBar.left + cy / 2 + nButton * (cy - 1), (rcBar.top + rcBar.bottom) / 2};
            ASSERT_EQ(hBar, ::WindowFromPoint(pt));
            HWND hTip = testsupport::HoverUntilToolTip(pt, [] { Wait(1); }, game.Pid());
            ASSERT_TRUE(hTip != NULL) << "no tip over sort button " << nButton;
            RECT rcTip = WindowRect(hTip);
            EXPECT_GE(rcTip.right - rcTip.left, 40) << "a tip with its text";
            EXPECT_LE(std::abs(rcTip.top - pt.y), 60) << "the tip shows at the pointer";
            const std::string strShot = "pane_sort_button_tip_" + std::to_string(nShot++);
            EXPECT_FALSE(testsupport::SaveScreenSnapshot(hFrame, strShot.c_str()).empty());
            // Away over the board: the tip goes.
            RECT rcView = WindowRect(game.View());
            ::SetCursorPos((rcView.left + rcView.right) / 2, rcView.top + 5);
            for (int n = 0; n < 100 && testsupport::VisibleToolTip(game.Pid()) != NULL; n++)
                Wait(20);
            EXPECT_TRUE(testsupport::VisibleToolTip(game.Pid()) == NULL);
        }
    }
    EXPECT_EQ(0, game.Close());
    ClearSettings();
}

// The Timer bar dragged to the frame's left side: its clock display hides
// and the clock's control keeps its place on the bar as a button; dragged
// back to the top the display shows again.
TEST_F(Brindlemark, TheTimerBarDockedAtTheLeftKeepsTheClocksPlaceAsAButton)
{
    Game game;
    ASSERT_TRUE(game.Frame() != NULL);
    HWND hFrame = game.Frame();
    ::SetForegroundWindow(hFrame);
    Wait(200);
    HWND hBar = TimerBar(game);
    ASSERT_TRUE(hBar != NULL);
    HWND hClock = ::GetWindow(hBar, GW_CHILD);
    ASSERT_TRUE(hClock != NULL) << "the clock display sits on the Timer bar";
    ASSERT_TRUE(::IsWindowVisible(hClock));

    RECT rcBar = WindowRect(hBar), rcView = WindowRect(game.View());
    DragScreen({rcBar.left + 3, (rcBar.top + rcBar.bottom) / 2}, {rcView.left + 2, (rcView.top + rcView.bottom) / 2});
    hBar = TimerBar(game);
    ASSERT_TRUE(hBar != NULL);
    rcBar = WindowRect(hBar);
    ASSERT_FALSE(IsFloating(hBar)) << "the bar floats instead of docking at the left";
    ASSERT_GT(rcBar.bottom - rcBar.top, rcBar.right - rcBar.left) << "docked at a side the bar runs down";
    EXPECT_FALSE(::IsWindowVisible(hClock)) << "the clock display shows on a side bar";
    EXPECT_EQ(hBar, ::GetParent(hClock));
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(hFrame, "timer_bar_docked_left").empty());

    // Back at the top, right of the Standard bar.
    std::vector<HWND> standard = Descendants(hFrame, "Standard", "XTPToolBar");
    ASSERT_FALSE(standard.empty());
    RECT rcStandard = WindowRect(standard[0]);
    DragScreen({(rcBar.left + rcBar.right) / 2, rcBar.top + 3}, {rcStandard.right + 20, (rcStandard.top + rcStandard.bottom) / 2});
    hBar = TimerBar(game);
    rcBar = WindowRect(hBar);
    EXPECT_GT(rcBar.right - rcBar.left, rcBar.bottom - rcBar.top) << "back at the top";
    EXPECT_TRUE(::IsWindowVisible(hClock)) << "the clock display shows again";
    EXPECT_EQ(0, game.Close());
    ClearSettings();
}

namespace
{
// Puts the window over the empty right margin of the board view, then
// reads the screen where it lies: TRUE when the screen shows something
// else there than the view's plain background, that is, the window itself.
bool IsOnScreenOverTheView(HWND hWnd, HWND hView)
{
    RECT rcView;
    ::GetWindowRect(hView, &rcView);
    ::SetWindowPos(hWnd, NULL, rcView.right - 205, rcView.top + 5, 200, 300,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    Wait(500);
    HDC hScreen = ::GetDC(NULL);
    const COLORREF crBackground = ::GetPixel(hScreen, rcView.right - 3, rcView.bottom - 3);
    RECT rc;
    ::GetWindowRect(hWnd, &rc);
    int nBackground = 0;
    for (int y = rc.top + 20; y < rc.bottom; y += 40)
        for (int x = rc.left + 10; x < rc.right; x += 30)
            nBackground += ::GetPixel(hScreen, x, y) == crBackground ? 1 : 0;
    ::ReleaseDC(NULL, hScreen);
    return nBackground < 20;
}

HWND FloatingPane(const Game& game)
{
    std::vector<HWND> minis = TopLevels(game.Pid(), "XTPDockingPaneMiniWnd");
    for (HWND hWnd : minis)
        if (::IsWindowVisible(hWnd))
            return hWnd;
    return NULL;
}

// The floating pane lies above the frame and is seen at its centre.
void ExpectFloatingPaneInFront(const Game& game, const char* pszWhen)
{
    HWND hMini = NULL;
    for (int n = 0; n < 40 && hMini == NULL; n++)
    {
        hMini = FloatingPane(game);
        if (hMini == NULL)
            Wait(50);
    }
    ASSERT_TRUE(hMini != NULL) << pszWhen << ": no floating pane";
    // Wine brings the X server's stacking back a little later.
    Wait(500);
    EXPECT_TRUE(IsAbove(hMini, game.Frame())) << pszWhen;
    EXPECT_TRUE(IsOnScreenOverTheView(hMini, game.View())) << pszWhen << ": covered on the screen";
}
} // namespace

// A floating pane stays in front of the game's window as a floating toolbar
// does: after clicks in the window, while it is maximised and restored, and
// after a restart.
TEST_F(Brindlemark, AFloatingPaneStaysInFrontOfTheFrame)
{
    {
        Game game;
        ASSERT_TRUE(game.Frame() != NULL);
        HWND hFrame = game.Frame();
        ::SetForegroundWindow(hFrame);
        game.Command(ID_DIFFICULTY_PANE);
        std::vector<HWND> containers = Descendants(hFrame, "", "XTPDockingPaneTabbedContainer");
        ASSERT_EQ(1u, containers.size());
        ::PostMessage(containers[0], WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(20, 8));   // its caption
        Wait(500);
        ExpectFloatingPaneInFront(game, "floated");
        HWND hMini = FloatingPane(game);
        ASSERT_TRUE(hMini != NULL);

        // A click on the status bar, and one on the board (which, without a
        // puzzle, asks whether to make one: No).
        HWND hStatus = ::GetDlgItem(hFrame, AFX_IDW_STATUS_BAR);
        ASSERT_TRUE(hStatus != NULL);
        RECT rcStatus;
        ::GetWindowRect(hStatus, &rcStatus);
        ClickScreen({rcStatus.right - 100, (rcStatus.top + rcStatus.bottom) / 2}, false);
        ExpectFloatingPaneInFront(game, "a click on the status bar");
        ClickScreen(game.SquareCentre(9, 8, 8), false);
        HWND hAsk = WaitForDialogOtherThan(game.Pid(), NULL, 2000);
        if (hAsk != NULL)
        {
            ClickButton(hAsk, "No");
            Wait(500);
        }
        ExpectFloatingPaneInFront(game, "a click on the board");

        ::ShowWindow(hFrame, SW_MAXIMIZE);
        Wait(800);
        ASSERT_TRUE(::IsZoomed(hFrame));
        ExpectFloatingPaneInFront(game, "maximised");
        ::SetForegroundWindow(hFrame);
        // The maximised frame reaches past the screen's edges: its board view
        // (with the pane over it) is what the screen shows.
        EXPECT_FALSE(testsupport::SaveScreenSnapshot(game.View(), "floating_pane_maximised").empty());
        ::GetWindowRect(hStatus, &rcStatus);
        ClickScreen({rcStatus.right - 100, (rcStatus.top + rcStatus.bottom) / 2}, false);
        ExpectFloatingPaneInFront(game, "a click on the maximised frame");
        ::ShowWindow(hFrame, SW_RESTORE);
        Wait(800);
        ExpectFloatingPaneInFront(game, "restored");
        EXPECT_EQ(0, game.Close());
    }
    // The next start brings it back in front.
    Game again;
    ASSERT_TRUE(again.Frame() != NULL);
    ExpectFloatingPaneInFront(again, "after a restart");
    ::SetForegroundWindow(again.Frame());
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(again.Frame(), "floating_pane_after_restart").empty());
    EXPECT_EQ(0, again.Close());
    ClearSettings();
}

namespace
{
// The game's own stored form of both profile panes floating, each in its
// own window (it deletes the stored layout first, as a player's export
// would); imported with the system's registry editor.
const char kTwoFloatingPanesReg[] =
    "Windows Registry Editor Version 5.00\r\n"
    "\r\n"
    "[-HKEY_CURRENT_USER\\Software\\Orrisfield\\Brindlemark\\DockingPaneLayouts\\NormalLayout]\r\n"
    "\r\n"
    "[HKEY_CURRENT_USER\\Software\\Orrisfield\\Brindlemark\\DockingPaneLayouts\\NormalLayout\\Summary]\r\n"
    "\"Panes\"=dword:0000000a\r\n"
    "\"TopContainer\"=dword:00000009\r\n"
    "\"Client\"=dword:0000000a\r\n"
    "\r\n"
    "[HKEY_CURRENT_USER\\Software\\Orrisfield\\Brindlemark\\DockingPaneLayouts\\NormalLayout\\Pane-1]\r\n"
    "\"Type\"=dword:00000000\r\n"
    "\"ID\"=dword:000003e8\r\n"
    "\"Title\"=\"This puzzle's Appearance Info\"\r\n"
    "\"Options\"=dword:00000001\r\n"
    "\"FloatingHolder\"=dword:00000003\r\n"
    "\"LastHolder\"=dword:00000003\r\n"
    "\r\n"
    "[HKEY_CURRENT_USER\\Software\\Orrisfield\\Brindlemark\\DockingPaneLayouts\\NormalLayout\\Pane-2]\r\n"
    "\"Type\"=dword:00000000\r\n"
    "\"ID\"=dword:000003e9\r\n"
    "\"Title\"=\"This puzzle's Difficulty Info\"\r\n"
    "\"Options\"=dword:00000001\r\n"
    "\"FloatingHolder\"=dword:00000006\r\n"
    "\"LastHolder\"=dword:00000006\r\n"
    "\r\n"
    "[HKEY_CURRENT_USER\\Software\\Orrisfield\\Brindlemark\\DockingPaneLayouts\\NormalLayout\\Pane-3]\r\n"
    "\"Type\"=dword:00000001\r\n"
    "\"Panes\"=dword:00000001\r\n"
    "\"Selected\"=dword:00000001\r\n"
    "\"Pane-1\"=dword:00000001\r\n"
    "\r\n"
    "[HKEY_CURRENT_USER\\Software\\Orrisfield\\Brindlemark\\DockingPaneLayouts\\NormalLayout\\Pane-4]\r\n"
    "\"Type\"=dword:00000002\r\n"
    "\"Panes\"=dword:00000001\r\n"
    "\"Pane-1\"=dword:00000003\r\n"
    "\r\n"
    "[HKEY_CURRENT_USER\\Software\\Orrisfield\\Brindlemark\\DockingPaneLayouts\\NormalLayout\\Pane-5]\r\n"
    "\"Type\"=dword:00000003\r\n"
    "\"TopContaner\"=dword:00000004\r\n"
    "\"WindowRectLeftPos\"=dword:000003d4\r\n"
    "\"WindowRectTopPos\"=dword:00000064\r\n"
    "\"WindowRectRightPos\"=dword:0000049c\r\n"
    "\"WindowRectBottomPos\"=dword:00000190\r\n"
    "\r\n"
    "[HKEY_CURRENT_USER\\Software\\Orrisfield\\Brindlemark\\DockingPaneLayouts\\NormalLayout\\Pane-6]\r\n"
    "\"Type\"=dword:00000001\r\n"
    "\"Panes\"=dword:00000001\r\n"
    "\"Selected\"=dword:00000002\r\n"
    "\"Pane-1\"=dword:00000002\r\n"
    "\r\n"
    "[HKEY_CURRENT_USER\\Software\\Orrisfield\\Brindlemark\\DockingPaneLayouts\\NormalLayout\\Pane-7]\r\n"
    "\"Type\"=dword:00000002\r\n"
    "\"Panes\"=dword:00000001\r\n"
    "\"Pane-1\"=dword:00000006\r\n"
    "\r\n"
    "[HKEY_CURRENT_USER\\Software\\Orrisfield\\Brindlemark\\DockingPaneLayouts\\NormalLayout\\Pane-8]\r\n"
    "\"Type\"=dword:00000003\r\n"
    "\"TopContaner\"=dword:00000007\r\n"
    "\"WindowRectLeftPos\"=dword:000003d4\r\n"
    "\"WindowRectTopPos\"=dword:000001c2\r\n"
    "\"WindowRectRightPos\"=dword:0000049c\r\n"
    "\"WindowRectBottomPos\"=dword:000002ee\r\n"
    "\r\n"
    "[HKEY_CURRENT_USER\\Software\\Orrisfield\\Brindlemark\\DockingPaneLayouts\\NormalLayout\\Pane-9]\r\n"
    "\"Type\"=dword:00000002\r\n"
    "\"Panes\"=dword:00000001\r\n"
    "\"Pane-1\"=dword:0000000a\r\n"
    "\r\n"
    "[HKEY_CURRENT_USER\\Software\\Orrisfield\\Brindlemark\\DockingPaneLayouts\\NormalLayout\\Pane-10]\r\n"
    "\"Type\"=dword:00000004\r\n"
    "\r\n";

// Imports registry text through the system's registry editor; FALSE when
// it could not be run or did not end.
bool ImportRegistryText(const char* pszText)
{
    char szTemp[MAX_PATH];
    ::GetTempPath(MAX_PATH, szTemp);
    const std::string strFile = std::string(szTemp) + "e2e_two_floating_panes.reg";
    std::ofstream(strFile.c_str(), std::ios::binary) << pszText;
    const bool bImported = testsupport::ImportRegFile(strFile);
    ::DeleteFileA(strFile.c_str());
    return bImported;
}

// TRUE while the splash (the game's untitled window of its own class)
// shows, waited for up to nMilliseconds to go.
bool SplashStays(DWORD dwPid, int nMilliseconds)
{
    for (int n = 0; n <= nMilliseconds / 50; n++)
    {
        bool bSplash = false;
        for (HWND hWnd = ::GetWindow(::GetDesktopWindow(), GW_CHILD); hWnd != NULL && !bSplash;
             hWnd = ::GetWindow(hWnd, GW_HWNDNEXT))
        {
            DWORD dwOwner = 0;
            ::GetWindowThreadProcessId(hWnd, &dwOwner);
            char szClass[128] = "";
            ::GetClassNameA(hWnd, szClass, sizeof(szClass));
            bSplash = dwOwner == dwPid && ::IsWindowVisible(hWnd) && WindowText(hWnd).empty() &&
                      std::string(szClass).rfind("Afx:", 0) == 0;
        }
        if (!bSplash)
            return false;
        Wait(50);
    }
    return true;
}

// TRUE when the game's frame answers a message within a second.
bool AnswersWithinASecond(HWND hFrame)
{
    DWORD_PTR dwResult = 0;
    return ::SendMessageTimeout(hFrame, WM_NULL, 0, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK, 1000, &dwResult) != 0;
}

// A floating window of the game and what the screen showed of its client
// area while nothing could cover it.
struct SeenWindow
{
    std::string strName;
    HWND hWnd;
    std::vector<COLORREF> signature;
};

// The screen pixels on a grid over the window's client area (away from
// its edges), top row first.
std::vector<COLORREF> ClientSamples(HWND hWnd)
{
    std::vector<COLORREF> samples;
    RECT rc;
    ::GetClientRect(hWnd, &rc);
    POINT pt = {0, 0};
    ::ClientToScreen(hWnd, &pt);
    HDC hScreen = ::GetDC(NULL);
    for (int y = 4; y < rc.bottom - 3; y += 9)
        for (int x = 4; x < rc.right - 3; x += 9)
            samples.push_back(::GetPixel(hScreen, pt.x + x, pt.y + y));
    ::ReleaseDC(NULL, hScreen);
    return samples;
}

// The share (in hundredths) of the samples that show what the signature
// showed, leaving out those under another visible window of the game
// that lies where it is (an open dialog).
int PercentSeen(const SeenWindow& window, HWND hExcept = NULL)
{
    std::vector<COLORREF> now = ClientSamples(window.hWnd);
    if (now.size() != window.signature.size() || now.empty())
        return 0;
    RECT rc, rcExcept = {};
    ::GetClientRect(window.hWnd, &rc);
    POINT pt = {0, 0};
    ::ClientToScreen(window.hWnd, &pt);
    if (hExcept != NULL)
        ::GetWindowRect(hExcept, &rcExcept);
    int nSame = 0, nAll = 0;
    size_t i = 0;
    for (int y = 4; y < rc.bottom - 3; y += 9)
        for (int x = 4; x < rc.right - 3; x += 9, i++)
        {
            POINT ptScreen = {pt.x + x, pt.y + y};
            if (hExcept != NULL && ::PtInRect(&rcExcept, ptScreen))
                continue;
            nAll++;
            nSame += now[i] == window.signature[i] ? 1 : 0;
        }
    return nAll == 0 ? 100 : nSame * 100 / nAll;
}

// The two floating panes and the floating Timer toolbar of a running game,
// named; empty names for what is missing.
std::vector<SeenWindow> FloatingWindowsOf(const Game& game)
{
    std::vector<SeenWindow> windows;
    for (HWND hWnd : TopLevels(game.Pid(), "XTPDockingPaneMiniWnd"))
        if (::IsWindowVisible(hWnd))
            windows.push_back(SeenWindow{WindowText(hWnd), hWnd, {}});
    std::sort(windows.begin(), windows.end(),
              [](const SeenWindow& a, const SeenWindow& b) { return a.strName < b.strName; });
    HWND hBar = TimerBar(game);
    if (hBar != NULL && IsFloating(hBar))
        windows.push_back(SeenWindow{"Timer", hBar, {}});
    return windows;
}

// True when Wine's X11 driver hands this prefix's windows (the game's too)
// to the display's window manager: Wine's default, and the set-up of
// run_with_window_manager.sh; the tests' usual prefix says no.
bool WindowsAreManaged()
{
    HKEY hKey = NULL;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\X11 Driver", 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return true;
    char szValue[16] = "";
    DWORD cb = sizeof(szValue) - 1, dwType = 0;
    const LONG lResult = ::RegQueryValueExA(hKey, "Managed", NULL, &dwType, (BYTE*)szValue, &cb);
    ::RegCloseKey(hKey);
    if (lResult != ERROR_SUCCESS || dwType != REG_SZ)
        return true;
    return strchr("yYtT1", szValue[0]) != NULL && szValue[0] != 0;
}

// What a command of the host (a shell command line, about the display)
// writes; false when it cannot be run. A program of the host started by
// Wine has no process handle to wait on: its answer is written aside and
// then renamed, and the name waited for.
bool HostCommandOutput(const std::string& strCommand, std::string& strOutput)
{
    // Named after the display too: test programs on other displays (each
    // with its own Wine prefix) may have the same process id.
    static int s_nCall = 0;
    std::string strDisplay;
    for (const char* psz = getenv("DISPLAY"); psz != NULL && *psz != 0; psz++)
        if (isalnum((unsigned char)*psz))
            strDisplay += *psz;
    char szUnix[128], szDos[160];
    snprintf(szUnix, sizeof(szUnix), "/tmp/bm-display-%s-%lu-%d.txt", strDisplay.c_str(), ::GetCurrentProcessId(),
             s_nCall++);
    snprintf(szDos, sizeof(szDos), "Z:%s", szUnix);
    std::replace(szDos, szDos + strlen(szDos), '/', '\\');
    std::string strLine = std::string("/bin/sh -c \"") + strCommand + " > " + szUnix + ".part 2>/dev/null; mv " +
                          szUnix + ".part " + szUnix + "\"";
    std::vector<char> line(strLine.begin(), strLine.end());
    line.push_back(0);
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    if (!::CreateProcessA(NULL, line.data(), NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi))
        return false;
    if (pi.hProcess != NULL)
        ::CloseHandle(pi.hProcess);
    if (pi.hThread != NULL)
        ::CloseHandle(pi.hThread);
    FILE* pFile = NULL;
    for (int n = 0; n < 150 && pFile == NULL; n++)
    {
        pFile = fopen(szDos, "r");
        if (pFile == NULL)
            ::Sleep(20);
    }
    if (pFile == NULL)
        return false;
    strOutput.clear();
    char szBuffer[256];
    while (fgets(szBuffer, sizeof(szBuffer), pFile) != NULL)
        strOutput += szBuffer;
    fclose(pFile);
    ::DeleteFileA(szDos);
    return true;
}

// Wine's X window of a top-level window of the game; 0 when it has none.
unsigned long XWindowOf(HWND hWnd)
{
    return (unsigned long)(ULONG_PTR)::GetPropA(hWnd, "__wine_x11_whole_window");
}

// Where the display itself shows a top-level window of the game: the
// place of Wine's X window of it, as xwininfo tells. False when that
// cannot be told (no X window, no tool).
bool PlaceOnTheDisplay(HWND hWnd, RECT& rc)
{
    const unsigned long nXWindow = XWindowOf(hWnd);
    char szCommand[64];
    snprintf(szCommand, sizeof(szCommand), "xwininfo -id 0x%lx", nXWindow);
    std::string strOutput;
    if (nXWindow == 0 || !HostCommandOutput(szCommand, strOutput))
        return false;
    long nLeft = LONG_MIN, nTop = LONG_MIN, nWidth = -1, nHeight = -1;
    size_t nStart = 0;
    while (nStart < strOutput.size())
    {
        size_t nEnd = strOutput.find('\n', nStart);
        if (nEnd == std::string::npos)
            nEnd = strOutput.size();
        const std::string strLine = strOutput.substr(nStart, nEnd - nStart);
        sscanf(strLine.c_str(), " Absolute upper-left X: %ld", &nLeft);
        sscanf(strLine.c_str(), " Absolute upper-left Y: %ld", &nTop);
        sscanf(strLine.c_str(), " Width: %ld", &nWidth);
        sscanf(strLine.c_str(), " Height: %ld", &nHeight);
        nStart = nEnd + 1;
    }
    if (nLeft == LONG_MIN || nTop == LONG_MIN || nWidth < 0 || nHeight < 0)
        return false;
    rc = {nLeft, nTop, nLeft + nWidth, nTop + nHeight};
    return true;
}

// The window the display's window manager holds active (the root window's
// _NET_ACTIVE_WINDOW, as xprop tells); 0 when that cannot be told.
unsigned long ActiveOnTheDisplay()
{
    std::string strOutput;
    if (!HostCommandOutput("xprop -root -notype _NET_ACTIVE_WINDOW", strOutput))
        return 0;
    const size_t nAt = strOutput.find("0x");
    return nAt == std::string::npos ? 0 : strtoul(strOutput.c_str() + nAt, NULL, 16);
}

// Moves a floating window of the game (and sizes it, when cx > 0) and
// waits until it lies there and stays there, for the system and on the
// display. With a window manager the move is a request to it, which the
// display shows a few tenths of a second later: what the screen shows
// there before is not the window. The request is made again while the
// window is not there.
bool MoveTopLevel(HWND hWnd, int x, int y, int cx = 0, int cy = 0)
{
    const UINT nFlags = SWP_NOZORDER | SWP_NOACTIVATE | (cx > 0 ? 0 : SWP_NOSIZE);
    for (int nTry = 0; nTry < 5; nTry++)
    {
        ::SetWindowPos(hWnd, NULL, x, y, cx, cy, nFlags);
        int nThere = 0;
        for (int n = 0; n < 40 && nThere < 3; n++)
        {
            Wait(50);
            RECT rc, rcShown;
            ::GetWindowRect(hWnd, &rc);
            bool bThere = rc.left == x && rc.top == y &&
                          (cx <= 0 || (rc.right - rc.left == cx && rc.bottom - rc.top == cy));
            if (bThere && PlaceOnTheDisplay(hWnd, rcShown))
                bThere = ::EqualRect(&rc, &rcShown) != FALSE;
            nThere = bThere ? nThere + 1 : 0;
        }
        if (nThere >= 3)
            return true;
    }
    return false;
}

// Takes what the screen shows of a floating window once it shows the same
// twice in a row.
void TakeSignature(SeenWindow& window)
{
    std::vector<COLORREF> last;
    for (int n = 0; n < 30; n++)
    {
        window.signature = ClientSamples(window.hWnd);
        if (window.signature == last)
            break;
        last = window.signature;
        Wait(150);
    }
}

// Moves each floating window where nothing covers it (the empty screen
// right of and below the frame), takes what the screen shows of it, and
// moves it over the frame's board view: the first pane over the right
// margin, the second over the left margin, the Timer bar over the board.
// Each move is waited for until the window lies where it was sent, with
// or without a window manager.
void PlaceOverTheView(const Game& game, std::vector<SeenWindow>& windows)
{
    RECT rcFrame, rcView;
    ::GetWindowRect(game.Frame(), &rcFrame);
    ::GetWindowRect(game.View(), &rcView);
    const POINT aside[] = {{rcFrame.right + 10, 10}, {rcFrame.right + 10, 330}, {10, rcFrame.bottom + 20}};
    const POINT over[] = {{rcView.right - 205, rcView.top + 10},
                          {rcView.left + 5, rcView.top + 10},
                          {rcView.left + 230, (rcView.top + rcView.bottom) / 2}};
    for (size_t i = 0; i < windows.size() && i < 3; i++)
    {
        const bool bTimer = windows[i].strName == "Timer";
        EXPECT_TRUE(bTimer ? MoveTopLevel(windows[i].hWnd, aside[2].x, aside[2].y)
                           : MoveTopLevel(windows[i].hWnd, aside[i].x, aside[i].y, 200, 300))
            << windows[i].strName << " is not moved aside";
    }
    Wait(300);
    for (SeenWindow& window : windows)
        TakeSignature(window);
    for (size_t i = 0; i < windows.size() && i < 3; i++)
    {
        const size_t nPlace = windows[i].strName == "Timer" ? 2 : i;
        EXPECT_TRUE(MoveTopLevel(windows[i].hWnd, over[nPlace].x, over[nPlace].y))
            << windows[i].strName << " is not moved over the board";
    }
}

// How much of a window the screen shows, read again while it is less than
// nWanted percent, for at most dwMilliseconds while the display settles.
int PercentSeenWithin(const SeenWindow& window, int nWanted, DWORD dwMilliseconds, HWND hExcept = NULL)
{
    int nSeen = PercentSeen(window, hExcept);
    for (DWORD dwWaited = 0; nSeen < nWanted && dwWaited < dwMilliseconds; dwWaited += 100)
    {
        Wait(100);
        nSeen = PercentSeen(window, hExcept);
    }
    return nSeen;
}

// The game answers within a second, and each floating window is seen in
// front of the frame: the screen where it lies shows what it showed alone
// (most of it: a clock or a selection may have changed), waited for a
// little while the display settles. hExcept: a dialog that may lie over
// part of them.
void ExpectFloatingWindowsInFront(const Game& game, const std::vector<SeenWindow>& windows, const char* pszWhen,
                                  HWND hExcept = NULL)
{
    EXPECT_TRUE(AnswersWithinASecond(game.Frame())) << pszWhen << ": the game does not answer within a second";
    ASSERT_FALSE(windows.empty()) << pszWhen;
    for (const SeenWindow& window : windows)
    {
        ASSERT_TRUE(::IsWindow(window.hWnd)) << pszWhen << ": " << window.strName;
        EXPECT_TRUE(::IsWindowVisible(window.hWnd)) << pszWhen << ": " << window.strName << " hidden";
        const int nSeen = PercentSeenWithin(window, 75, 4000, hExcept);
        EXPECT_GE(nSeen, 75) << pszWhen << ": " << window.strName << " is covered on the screen (" << nSeen
                             << "% of it seen)";
    }
    EXPECT_TRUE(AnswersWithinASecond(game.Frame())) << pszWhen << ": the game does not answer within a second";
}

bool BringFrameToFront(HWND hFrame);

// Places the floating windows over the board (PlaceOverTheView), activates
// the frame and expects each of them seen in front of it.
void PlaceAndExpectInFront(const Game& game, std::vector<SeenWindow>& windows, const char* pszWhen)
{
    PlaceOverTheView(game, windows);
    EXPECT_TRUE(BringFrameToFront(game.Frame())) << pszWhen << ": the game cannot be activated";
    ExpectFloatingWindowsInFront(game, windows, pszWhen);
}

// Clicks a window's caption (a floating window's or the frame's).
void ClickCaption(HWND hWnd)
{
    RECT rc;
    ::GetWindowRect(hWnd, &rc);
    ClickScreen({rc.left + 40, rc.top + 8}, false);
}

// Makes a new puzzle with the New Puzzle dialog, as the frame's command
// opens it; the question to save a puzzle in play is answered Don't Save.
void MakeNewPuzzle(const Game& game, bool bExpectSaveQuestion)
{
    ::PostMessage(game.Frame(), WM_COMMAND, ID_NEW_PUZZLE, 0);
    if (bExpectSaveQuestion)
    {
        HWND hQuestion = WaitForDialogOtherThan(game.Pid(), NULL);
        ASSERT_TRUE(hQuestion != NULL) << "no save question";
        ASSERT_TRUE(WindowText(hQuestion) != "New Puzzle") << "no save question";
        ClickButton(hQuestion, "Don't Save");
        ASSERT_TRUE(WaitUntilGone(hQuestion));
    }
    HWND hDialog = WaitForWindow(game.Pid(), "New Puzzle");
    ASSERT_TRUE(hDialog != NULL);
    Wait(300);
    ClickButton(hDialog, "OK");
    ASSERT_TRUE(WaitUntilGone(hDialog));
    for (int n = 0; n < 600 && WaitForWindow(game.Pid(), "Create Progress", 10) != NULL; n++)
        Wait(100);
    ASSERT_TRUE(WaitForWindow(game.Pid(), "Create Progress", 10) == NULL) << "the puzzle is not made";
    Wait(500);
}
} // namespace

// With both profile panes floating (the stored form that froze the game at
// every start) and the Timer toolbar floating, the game starts and answers,
// and every floating window is seen in front of the frame after clicks on
// each of them and on the frame, after New Puzzle, after two dialogs in a
// row, while and after the colour dialog of a profile row, after maximise
// and restore, and after exit and restarts. A watchdog ends the test (and
// the game) if anything hangs.
TEST_F(Brindlemark, TwoFloatingPanesAndTheFloatingTimerStayInFrontAndTheGameAnswers)
{
    testsupport::Watchdog watchdog("the game with two floating panes and the floating Timer", 280000);
    ASSERT_TRUE(watchdog.IsArmed());
    {
        // One normal start and close, the Timer bar dragged out to float.
        Game first;
        ASSERT_TRUE(first.Frame() != NULL);
        ::SetForegroundWindow(first.Frame());
        Wait(200);
        ASSERT_TRUE(DragTimerBarOut(first, {500, 400})) << "no Timer toolbar";
        ASSERT_TRUE(IsFloating(TimerBar(first)));
        EXPECT_EQ(0, first.Close());
    }
    ASSERT_TRUE(ImportRegistryText(kTwoFloatingPanesReg));

    std::vector<SeenWindow> windows;
    {
        Game game;
        ASSERT_TRUE(game.Frame() != NULL) << "the game does not start";
        watchdog.AlsoEnd(game.Process());
        EXPECT_FALSE(SplashStays(game.Pid(), 10000)) << "the splash stays";
        HWND hFrame = game.Frame();
        EXPECT_TRUE(AnswersWithinASecond(hFrame)) << "the start";
        windows = FloatingWindowsOf(game);
        ASSERT_EQ(3u, windows.size()) << "both panes and the Timer bar float";
        EXPECT_EQ("This puzzle's Appearance Info", windows[0].strName);
        EXPECT_EQ("This puzzle's Difficulty Info", windows[1].strName);
        PlaceAndExpectInFront(game, windows, "the start");
        EXPECT_FALSE(testsupport::SaveScreenSnapshot(hFrame, "two_floating_panes_at_start").empty());

        // A click on each floating window, then on the frame's caption.
        for (const SeenWindow& window : windows)
            ClickCaption(window.hWnd);
        ClickCaption(hFrame);
        ExpectFloatingWindowsInFront(game, windows, "clicks on each floating window and the frame's caption");
        ClickCaption(windows[0].hWnd);
        ClickScreen(game.SquareCentre(9, 4, 4), false);   // no puzzle yet: a question
        HWND hAsk = WaitForDialogOtherThan(game.Pid(), NULL, 2000);
        if (hAsk != NULL)
        {
            ClickButton(hAsk, "No");
            EXPECT_TRUE(WaitUntilGone(hAsk));
        }
        ExpectFloatingWindowsInFront(game, windows, "a click on a pane, then on the board");

        // New Puzzle from the frame.
        MakeNewPuzzle(game, false);
        ExpectFloatingWindowsInFront(game, windows, "New Puzzle");

        // The save question, then New Puzzle.
        ::SetForegroundWindow(hFrame);
        ClickScreen(game.SquareCentre(9, 1, 1), true);
        MakeNewPuzzle(game, true);
        ExpectFloatingWindowsInFront(game, windows, "the save question, then New Puzzle");

        // Show Solution, then the question whether to start another.
        ::PostMessage(hFrame, WM_COMMAND, ID_SHOW_SOLUTION, 0);
        HWND hSure = WaitForDialogOtherThan(game.Pid(), NULL);
        ASSERT_TRUE(hSure != NULL) << "Show Solution asks first";
        ClickButton(hSure, "Yes, please");
        ASSERT_TRUE(WaitUntilGone(hSure));
        HWND hSolved = WaitForDialogOtherThan(game.Pid(), NULL);
        ASSERT_TRUE(hSolved != NULL) << "the solved question";
        EXPECT_EQ("The current puzzle has been solved.\n\nWould you like to start another?", MessageText(hSolved));
        ClickButton(hSolved, "No, thanks");
        ASSERT_TRUE(WaitUntilGone(hSolved));
        ExpectFloatingWindowsInFront(game, windows, "Show Solution, then solved");
        EXPECT_FALSE(testsupport::SaveScreenSnapshot(hFrame, "two_floating_panes_after_two_dialogs").empty());

        // The colour dialog of a colour row of the Appearance pane: its
        // first colour row selected by a click on its value (its name, cut
        // short, shows a tip under the pointer), its "..." button clicked.
        std::vector<HWND> lists = Descendants(windows[0].hWnd, "", "ListBox");
        ASSERT_FALSE(lists.empty()) << "the Appearance pane's grid";
        RECT rcRow = {};
        ASSERT_NE(LB_ERR, (int)::SendMessage(lists[0], LB_GETITEMRECT, 1, (LPARAM)&rcRow));
        POINT ptRow = {rcRow.right - 45, (rcRow.top + rcRow.bottom) / 2};
        ::ClientToScreen(lists[0], &ptRow);
        ClickScreen(ptRow, false);
        POINT ptButton = {rcRow.right - 8, (rcRow.top + rcRow.bottom) / 2};
        ::ClientToScreen(lists[0], &ptButton);
        ClickScreen(ptButton, false);
        HWND hColours = WaitForWindow(game.Pid(), "Colors", 5000);
        if (hColours == NULL)
            testsupport::SaveScreenSnapshot(hFrame, "two_floating_panes_no_colour_dialog");
        ASSERT_TRUE(hColours != NULL) << "no colour dialog";
        Wait(300);
        ExpectFloatingWindowsInFront(game, windows, "while the colour dialog is open", hColours);
        EXPECT_FALSE(testsupport::SaveScreenSnapshot(hFrame, "two_floating_panes_with_colour_dialog").empty());
        ::PostMessage(hColours, WM_COMMAND, IDCANCEL, 0);
        ASSERT_TRUE(WaitUntilGone(hColours));
        ExpectFloatingWindowsInFront(game, windows, "the colour dialog closed");

        // Maximised and restored.
        ::ShowWindow(hFrame, SW_MAXIMIZE);
        Wait(500);
        ASSERT_TRUE(::IsZoomed(hFrame));
        ExpectFloatingWindowsInFront(game, windows, "maximised");
        ::ShowWindow(hFrame, SW_RESTORE);
        Wait(500);
        ExpectFloatingWindowsInFront(game, windows, "restored");

        // Exit: the puzzle in play is not saved.
        ::PostMessage(hFrame, WM_CLOSE, 0, 0);
        HWND hQuestion = WaitForDialogOtherThan(game.Pid(), NULL);
        if (hQuestion != NULL)
            ClickButton(hQuestion, "Don't Save");
        EXPECT_EQ(0, game.WaitForExit());
    }

    // Plain restarts bring them back where they were, in front.
    for (int nStart = 1; nStart <= 3; nStart++)
    {
        Game again;
        ASSERT_TRUE(again.Frame() != NULL) << "restart " << nStart;
        watchdog.AlsoEnd(again.Process());
        EXPECT_FALSE(SplashStays(again.Pid(), 10000)) << "restart " << nStart << ": the splash stays";
        std::vector<SeenWindow> now = FloatingWindowsOf(again);
        ASSERT_EQ(3u, now.size()) << "restart " << nStart;
        for (size_t i = 0; i < now.size(); i++)
        {
            EXPECT_EQ(windows[i].strName, now[i].strName);
            now[i].signature = windows[i].signature;
        }
        ::SetForegroundWindow(again.Frame());
        const std::string strWhen = "restart " + std::to_string(nStart);
        ExpectFloatingWindowsInFront(again, now, strWhen.c_str());
        if (nStart == 1)
            EXPECT_FALSE(testsupport::SaveScreenSnapshot(again.Frame(), "two_floating_panes_after_restart").empty());
        EXPECT_EQ(0, again.Close());
    }
    ClearSettings();
}

// Floating a pane by dragging its caption or by double-clicking it leaves
// the keyboard with the game's frame: Alt takes the menu bar, where Down
// opens the File menu, and Alt+F4 closes the game.
TEST_F(Brindlemark, AfterFloatingAPaneEitherWayTheKeyboardReachesTheMenuBar)
{
    testsupport::Watchdog watchdog("floating panes and the keyboard", 120000);
    Game game;
    ASSERT_TRUE(game.Frame() != NULL);
    watchdog.AlsoEnd(game.Process());
    HWND hFrame = game.Frame();
    ::SetForegroundWindow(hFrame);
    game.Command(ID_DIFFICULTY_PANE);
    Wait(300);

    // Dragged out by its caption.
    std::vector<HWND> containers = Descendants(hFrame, "", "XTPDockingPaneTabbedContainer");
    ASSERT_EQ(1u, containers.size());
    RECT rc;
    ::GetWindowRect(containers[0], &rc);
    DragScreen({rc.left + 40, rc.top + 8}, {rc.left + 400, rc.top + 200});
    ASSERT_EQ(1u, TopLevels(game.Pid(), "XTPDockingPaneMiniWnd").size()) << "dragged out";
    EXPECT_EQ(hFrame, ::GetForegroundWindow()) << "floated by dragging";
    PressKeys({VK_MENU});
    PressKeys({VK_DOWN});
    EXPECT_TRUE(WaitForPopupBar(game.Pid()) != NULL) << "Alt, then Down, after floating by dragging";
    PressKeys({VK_ESCAPE});
    PressKeys({VK_ESCAPE});
    Wait(300);

    // The other pane, docked, double-clicked on its caption.
    game.Command(ID_APPEARANCE_PANE);
    Wait(300);
    containers = Descendants(hFrame, "", "XTPDockingPaneTabbedContainer");
    ASSERT_EQ(1u, containers.size());
    ::GetWindowRect(containers[0], &rc);
    const POINT ptCaption = {rc.left + 40, rc.top + 8};
    ::SetCursorPos(ptCaption.x, ptCaption.y);
    Wait(100);
    for (int i = 0; i < 2; i++)
        testsupport::SendInputs({testsupport::MouseInput(MOUSEEVENTF_LEFTDOWN, ptCaption),
                                 testsupport::MouseInput(MOUSEEVENTF_LEFTUP, ptCaption)});
    Wait(800);
    ASSERT_EQ(2u, TopLevels(game.Pid(), "XTPDockingPaneMiniWnd").size()) << "floated by the double click";
    EXPECT_EQ(hFrame, ::GetForegroundWindow()) << "floated by a double click";
    PressKeys({VK_MENU});
    PressKeys({VK_DOWN});
    HWND hMenu = WaitForPopupBar(game.Pid());
    EXPECT_TRUE(hMenu != NULL) << "Alt, then Down, after floating by a double click";
    if (hMenu != NULL)
        EXPECT_FALSE(testsupport::SaveScreenSnapshot(hFrame, "file_menu_after_double_click_float").empty());
    PressKeys({VK_ESCAPE});
    PressKeys({VK_ESCAPE});
    Wait(300);

    PressKeys({VK_MENU, VK_F4});
    EXPECT_EQ(0, game.WaitForExit()) << "Alt+F4 closes the game";
    ClearSettings();
}

namespace
{
// The window that has the keyboard focus in the game's thread.
HWND FocusOf(HWND hWnd)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    ::GetGUIThreadInfo(::GetWindowThreadProcessId(hWnd, NULL), &info);
    return info.hwndFocus;
}
} // namespace

// A keyboard player pages through the tutorial with Return: on the last page
// Next is disabled and the focus moves on, so Escape still closes it.
TEST_F(Brindlemark, TheTutorialPagedWithTheKeyboardClosesWithEscape)
{
    Game game;
    ASSERT_TRUE(game.Frame() != NULL);
    ChooseWithKeys(game.Frame(), 'H', {VK_RETURN});
    HWND hTutorial = WaitForDialogOtherThan(game.Pid(), NULL);
    ASSERT_TRUE(hTutorial != NULL) << "Help > Show Tutorial...";
    ::SetForegroundWindow(hTutorial);
    Wait(300);
    HWND hNext = ::GetDlgItem(hTutorial, 2055);
    ASSERT_TRUE(hNext != NULL);
    for (int i = 0; i < 7; i++)
        PressKeys({VK_RETURN});
    Wait(300);
    EXPECT_FALSE(::IsWindowEnabled(hNext)) << "the last page";
    EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(hTutorial, 2056)));
    HWND hFocus = FocusOf(hTutorial);
    EXPECT_TRUE(hFocus != NULL && hFocus != hNext && ::IsWindowEnabled(hFocus)) << "the focus stayed on Next";
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(hTutorial, "tutorial_last_page_by_keyboard").empty());
    // More Returns do nothing harmful; Escape closes the tutorial.
    PressKeys({VK_ESCAPE});
    EXPECT_TRUE(WaitUntilGone(hTutorial)) << "Escape on the last page";
    if (::IsWindow(hTutorial))
        ::PostMessage(hTutorial, WM_COMMAND, IDCANCEL, 0);
    Wait(300);
    EXPECT_EQ(0, game.Close());
    ClearSettings();
}

namespace
{
// The visible top-level window of the process with no title and the given
// size (the splash), waited for.
HWND WaitForUntitledOfSize(DWORD dwPid, int cx, int cy, int nMilliseconds)
{
    for (int n = 0; n < nMilliseconds / 20; n++)
    {
        FindData data = {dwPid, "", NULL};
        ::EnumWindows(&FindTopLevel, (LPARAM)&data);
        RECT rc;
        if (data.hWnd != NULL && ::GetWindowRect(data.hWnd, &rc) && rc.right - rc.left == cx && rc.bottom - rc.top == cy)
            return data.hWnd;
        ::Sleep(20);
    }
    return NULL;
}

BOOL CALLBACK FindMessageWindow(HWND hWnd, LPARAM lParam)
{
    FindData* pData = (FindData*)lParam;
    DWORD dwPid = 0;
    ::GetWindowThreadProcessId(hWnd, &dwPid);
    if (dwPid == pData->dwPid && ::IsWindowVisible(hWnd) && ::GetDlgItem(hWnd, IDC_MESSAGE_TEXT) != NULL)
    {
        pData->hWnd = hWnd;
        return FALSE;
    }
    return TRUE;
}

// The visible message window of the process (wherever it lies in the
// order of windows), waited for.
HWND WaitForMessageWindow(DWORD dwPid, int nMilliseconds)
{
    for (int n = 0; n < nMilliseconds / 20; n++)
    {
        FindData data = {dwPid, "", NULL};
        ::EnumWindows(&FindMessageWindow, (LPARAM)&data);
        if (data.hWnd != NULL)
            return data.hWnd;
        ::Sleep(20);
    }
    return NULL;
}
} // namespace

namespace
{
// A window of this program (another program than the game), filled with one
// colour, activated over the given screen rectangle.
HWND ShowOtherProgramsWindow(const RECT& rc, COLORREF cr)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = ::GetModuleHandle(NULL);
    wc.hbrBackground = ::CreateSolidBrush(cr);
    wc.lpszClassName = "BrindlemarkTestOtherProgram";
    ::RegisterClassA(&wc);
    HWND hWnd = ::CreateWindowExA(0, wc.lpszClassName, "Another program", WS_OVERLAPPEDWINDOW | WS_VISIBLE, rc.left,
                                  rc.top, rc.right - rc.left, rc.bottom - rc.top, NULL, NULL, wc.hInstance, NULL);
    ::SetForegroundWindow(hWnd);
    return hWnd;
}

// Pumps this program's messages (its own window) for a while.
void PumpFor(DWORD dwMilliseconds)
{
    const DWORD dwEnd = ::GetTickCount() + dwMilliseconds;
    MSG msg;
    do
    {
        while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
            ::DispatchMessage(&msg);
        ::Sleep(10);
    } while ((int)(dwEnd - ::GetTickCount()) > 0);
}

// Activates the game's frame from this program, as a player's click would,
// and waits until the frame has stayed the foreground window for a moment:
// the display's own focus events, still on their way from the window just
// closed, may hand the foreground on once more after the first activation.
bool BringFrameToFront(HWND hFrame)
{
    DWORD dwSince = 0;
    for (int n = 0; n < 100; n++)
    {
        if (::GetForegroundWindow() != hFrame)
        {
            ::SetForegroundWindow(hFrame);
            dwSince = 0;
        }
        else if (dwSince == 0)
            dwSince = ::GetTickCount();
        else if (::GetTickCount() - dwSince >= 400)
            return true;
        PumpFor(50);
    }
    return ::GetForegroundWindow() == hFrame;
}
} // namespace

// The floating Timer toolbar lies in front of the frame, but on the screen
// below the game's own dialogs (the buttons of New Puzzle stay seen with the
// Timer under them) and below another program's window activated over the
// game. Run both on the tests' display without a window manager and, by
// app_brindlemark_test_desktop, on a display with one and the game's windows
// managed by it.
TEST_F(Brindlemark, TheFloatingTimerLiesBelowTheGamesDialogsAndAnotherProgramsWindow)
{
    testsupport::Watchdog watchdog("the floating Timer, a dialog and another program", 150000);
    ASSERT_TRUE(watchdog.IsArmed());
    Game game;
    ASSERT_TRUE(game.Frame() != NULL);
    watchdog.AlsoEnd(game.Process());
    EXPECT_FALSE(SplashStays(game.Pid(), 10000)) << "the splash stays";
    HWND hFrame = game.Frame();
    ::SetForegroundWindow(hFrame);
    Wait(300);
    ASSERT_TRUE(DragTimerBarOut(game, {500, 400})) << "no Timer toolbar";
    HWND hBar = TimerBar(game);
    ASSERT_TRUE(IsFloating(hBar));
    std::vector<SeenWindow> timer = {SeenWindow{"Timer", hBar, {}}};
    PlaceAndExpectInFront(game, timer, "floated over the board");
    RECT rcOver;
    ::GetWindowRect(hBar, &rcOver);

    // New Puzzle's dialog, taken as it opens (the Timer aside), then with
    // the Timer moved under its middle.
    RECT rcFrame;
    ::GetWindowRect(hFrame, &rcFrame);
    ::SetWindowPos(hBar, NULL, 10, rcFrame.bottom + 20, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSIZE);
    ::PostMessage(hFrame, WM_COMMAND, ID_NEW_PUZZLE, 0);
    HWND hDialog = WaitForWindow(game.Pid(), "New Puzzle");
    ASSERT_TRUE(hDialog != NULL);
    Wait(800);
    SeenWindow dialog{"New Puzzle", hDialog, ClientSamples(hDialog)};
    RECT rcDialog, rcBar;
    ::GetWindowRect(hDialog, &rcDialog);
    ::GetWindowRect(hBar, &rcBar);
    ::SetWindowPos(hBar, NULL, (rcDialog.left + rcDialog.right) / 2 - (rcBar.right - rcBar.left) / 2,
                   rcDialog.bottom - 40 - (rcBar.bottom - rcBar.top) / 2, 0, 0,
                   SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSIZE);
    Wait(800);
    int nSeen = PercentSeen(dialog);
    EXPECT_GE(nSeen, 95) << "the Timer lies over the New Puzzle dialog (" << nSeen << "% of it seen)";
    testsupport::SaveScreenSnapshot(hFrame, "floating_timer_under_a_dialog");
    ::PostMessage(hDialog, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitUntilGone(hDialog));
    ::SetWindowPos(hBar, NULL, rcOver.left, rcOver.top, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSIZE);
    ExpectFloatingWindowsInFront(game, timer, "the dialog closed");

    // Another program's window activated over the game covers the Timer,
    // and after it is gone and the game is activated the Timer is in front.
    RECT rcOther = rcOver;
    ::InflateRect(&rcOther, 40, 40);
    const COLORREF crOther = RGB(30, 140, 110);
    HWND hOther = ShowOtherProgramsWindow(rcOther, crOther);
    ASSERT_TRUE(hOther != NULL);
    const POINT ptMiddle = {(rcOver.left + rcOver.right) / 2, (rcOver.top + rcOver.bottom) / 2};
    COLORREF crSeen = CLR_INVALID;
    for (int n = 0; n < 30 && crSeen != crOther; n++)
    {
        PumpFor(100);
        HDC hScreen = ::GetDC(NULL);
        crSeen = ::GetPixel(hScreen, ptMiddle.x, ptMiddle.y);
        ::ReleaseDC(NULL, hScreen);
    }
    EXPECT_EQ(crOther, crSeen) << "the Timer lies over another program's window activated over the game";
    PumpFor(1500);   // the game, in the background, puts nothing over it later
    HDC hScreen = ::GetDC(NULL);
    EXPECT_EQ(crOther, ::GetPixel(hScreen, ptMiddle.x, ptMiddle.y)) << "a second and a half later";
    ::ReleaseDC(NULL, hScreen);
    testsupport::SaveScreenSnapshot(hFrame, "floating_timer_under_another_program");
    ::DestroyWindow(hOther);
    PumpFor(200);
    EXPECT_TRUE(BringFrameToFront(hFrame)) << "the game cannot be activated again";
    ExpectFloatingWindowsInFront(game, timer, "the game activated again");
    EXPECT_EQ(0, game.Close());
    ClearSettings();
}

// A second after the start the splash's picture is on the screen, in front
// of the game's window, centred on the screen.
TEST_F(Brindlemark, TheSplashIsSeenInFrontOfTheFrame)
{
    HMODULE hExe = ::LoadLibraryExA(ExePath().c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_TRUE(hExe != NULL);
    HBITMAP hSplash = (HBITMAP)::LoadImageA(hExe, MAKEINTRESOURCEA(IDB_SPLASH), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    ASSERT_TRUE(hSplash != NULL);
    BITMAP bm;
    ::GetObject(hSplash, sizeof(bm), &bm);

    std::string strCommand = "\"" + ExePath() + "\"";
    std::vector<char> command(strCommand.begin(), strCommand.end());
    command.push_back(0);
    STARTUPINFO si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    ASSERT_TRUE(::CreateProcess(NULL, command.data(), NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi));
    HWND hWnd = WaitForUntitledOfSize(pi.dwProcessId, bm.bmWidth, bm.bmHeight, 10000);
    HWND hFrame = WaitForWindow(pi.dwProcessId, "Untitled - Brindlemark", 10000);
    ::Sleep(1000);
    EXPECT_TRUE(hWnd != NULL && ::IsWindow(hWnd)) << "no splash";
    EXPECT_TRUE(hFrame != NULL && ::IsWindowVisible(hFrame));
    if (hWnd != NULL && ::IsWindow(hWnd))
    {
        RECT rc;
        ::GetWindowRect(hWnd, &rc);
        const int cxScreen = ::GetSystemMetrics(SM_CXSCREEN), cyScreen = ::GetSystemMetrics(SM_CYSCREEN);
        EXPECT_NEAR(cxScreen / 2, (rc.left + rc.right) / 2, 2);
        EXPECT_NEAR(cyScreen / 2, (rc.top + rc.bottom) / 2, 2);
        // The picture's pixels, sampled on a grid, are what the screen shows.
        HDC hScreen = ::GetDC(NULL);
        HDC hMem = ::CreateCompatibleDC(hScreen);
        HGDIOBJ hOld = ::SelectObject(hMem, hSplash);
        int nSame = 0, nAll = 0;
        for (int y = 4; y < bm.bmHeight; y += 12)
            for (int x = 4; x < bm.bmWidth; x += 12)
            {
                nAll++;
                nSame += ::GetPixel(hMem, x, y) == ::GetPixel(hScreen, rc.left + x, rc.top + y) ? 1 : 0;
            }
        ::SelectObject(hMem, hOld);
        ::DeleteDC(hMem);
        ::ReleaseDC(NULL, hScreen);
        EXPECT_GE(nSame * 10, nAll * 9) << nSame << " of " << nAll << " pixels of the splash on the screen";
        EXPECT_FALSE(testsupport::SaveScreenSnapshot(hFrame, "splash_a_second_after_start").empty());
    }
    ::DeleteObject(hSplash);
    ::FreeLibrary(hExe);
    // The splash goes after its time; the game ends normally.
    for (int n = 0; n < 150 && hWnd != NULL && ::IsWindow(hWnd); n++)
        Wait(50);
    EXPECT_FALSE(hWnd != NULL && ::IsWindow(hWnd)) << "the splash stays";
    if (hFrame != NULL)
        ::PostMessage(hFrame, WM_CLOSE, 0, 0);
    WaitForGameToEnd(pi);
    ClearSettings();
}

// A puzzle named on the command line that cannot be read is told at start-up
// while the splash still shows: the screen shows the message above the
// splash, which does not come forward while the message is open.
TEST_F(Brindlemark, AStartUpMessageIsNotCoveredByTheSplash)
{
    HMODULE hExe = ::LoadLibraryExA(ExePath().c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_TRUE(hExe != NULL);
    HBITMAP hSplashPicture =
        (HBITMAP)::LoadImageA(hExe, MAKEINTRESOURCEA(IDB_SPLASH), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    ::FreeLibrary(hExe);
    ASSERT_TRUE(hSplashPicture != NULL);
    BITMAP bm;
    ::GetObject(hSplashPicture, sizeof(bm), &bm);

    char szTemp[MAX_PATH];
    ::GetTempPath(MAX_PATH, szTemp);
    const std::string strFile = std::string(szTemp) + "e2e_no_such_puzzle.hti";
    ::DeleteFileA(strFile.c_str());
    std::string strCommand = "\"" + ExePath() + "\" \"" + strFile + "\"";
    std::vector<char> command(strCommand.begin(), strCommand.end());
    command.push_back(0);
    STARTUPINFO si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    ASSERT_TRUE(::CreateProcess(NULL, command.data(), NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi));
    HWND hSplash = WaitForUntitledOfSize(pi.dwProcessId, bm.bmWidth, bm.bmHeight, 10000);
    HWND hMessage = WaitForMessageWindow(pi.dwProcessId, 10000);
    EXPECT_TRUE(hSplash != NULL) << "no splash";
    EXPECT_TRUE(hMessage != NULL) << "no message about the file";
    // Several of the splash's 100 ms ticks pass while the message is up.
    Wait(700);
    if (hSplash != NULL && hMessage != NULL && ::IsWindow(hSplash))
    {
        char szText[512] = "";
        ::GetDlgItemTextA(hMessage, IDC_MESSAGE_TEXT, szText, sizeof(szText));
        EXPECT_EQ(("Failed to open document " + strFile + ".").c_str(), std::string(szText));
        // Where the two overlap the screen shows the message, not the picture.
        RECT rcSplash, rcMessage, rcBoth;
        ::GetWindowRect(hSplash, &rcSplash);
        ::GetWindowRect(hMessage, &rcMessage);
        if (::IntersectRect(&rcBoth, &rcSplash, &rcMessage))
        {
            HDC hScreen = ::GetDC(NULL);
            HDC hMem = ::CreateCompatibleDC(hScreen);
            HGDIOBJ hOld = ::SelectObject(hMem, hSplashPicture);
            int nSplash = 0, nAll = 0;
            for (int y = rcBoth.top + 3; y < rcBoth.bottom; y += 8)
                for (int x = rcBoth.left + 3; x < rcBoth.right; x += 8)
                {
                    nAll++;
                    nSplash += ::GetPixel(hMem, x - rcSplash.left, y - rcSplash.top) == ::GetPixel(hScreen, x, y) ? 1 : 0;
                }
            ::SelectObject(hMem, hOld);
            ::DeleteDC(hMem);
            ::ReleaseDC(NULL, hScreen);
            EXPECT_LT(nSplash * 2, nAll) << nSplash << " of " << nAll << " pixels show the splash over the message";
        }
        EXPECT_FALSE(testsupport::SaveScreenSnapshot(hSplash, "start_up_message_over_the_splash").empty());
    }
    else
        ADD_FAILURE() << "the splash went before the message could be checked";
    ::DeleteObject(hSplashPicture);
    if (hMessage != NULL)
        ClickButton(hMessage, "OK");
    HWND hFrame = WaitForWindow(pi.dwProcessId, "Untitled - Brindlemark", 10000);
    EXPECT_TRUE(hFrame != NULL) << "the game goes on";
    if (hFrame != NULL)
        ::PostMessage(hFrame, WM_CLOSE, 0, 0);
    WaitForGameToEnd(pi);
    ClearSettings();
}

// A request to close the game's window while one of its questions is open
// (the task bar's Close, the end of the session) leaves the game running
// with the question; once it is answered the game closes normally.
TEST_F(Brindlemark, ClosingWhileAQuestionIsOpenWaitsForTheQuestion)
{
    Game game;
    ASSERT_TRUE(game.Frame() != NULL);
    HWND hFrame = game.Frame();
    ::SetForegroundWindow(hFrame);
    // A click on the board without a puzzle asks whether to make one.
    ClickScreen(game.SquareCentre(9, 4, 4), false);
    HWND hAsk = WaitForDialogOtherThan(game.Pid(), NULL);
    ASSERT_TRUE(hAsk != NULL) << "no question";
    ::PostMessage(hFrame, WM_CLOSE, 0, 0);
    Wait(1000);
    EXPECT_TRUE(::IsWindow(hFrame)) << "the game went while its question was open";
    EXPECT_TRUE(::IsWindowVisible(hAsk));
    ClickButton(hAsk, "No");
    Wait(500);
    EXPECT_FALSE(::IsWindow(hAsk));
    EXPECT_EQ(0, game.Close());
    ClearSettings();
}

namespace
{
// The visible windows of a class inside the frame.
std::vector<HWND> VisibleDescendants(HWND hFrame, const std::string& strClass)
{
    std::vector<HWND> visible;
    for (HWND hWnd : Descendants(hFrame, "", strClass))
        if (::IsWindowVisible(hWnd))
            visible.push_back(hWnd);
    return visible;
}

// View > Appearance Profile > "Show this puzzle's Appearance Info pane..."
// or View > Difficulty Profile > "Show this puzzle's Difficulty Info
// pane...", chosen with the keys.
void ChooseProfilePaneEntry(const Game& game, bool bDifficulty)
{
    if (bDifficulty)
        ChooseWithKeys(game.Frame(), 'V', {VK_DOWN, VK_RETURN, VK_RETURN});
    else
        ChooseWithKeys(game.Frame(), 'V', {VK_RETURN, VK_RETURN});
    Wait(500);
}

// Clicks the pin at the right end of a docked pane's caption.
void ClickPin(HWND hContainer)
{
    RECT rc;
    ::GetWindowRect(hContainer, &rc);
    ClickScreen({rc.right - 12, rc.top + 11}, false);
    Wait(500);
}
} // namespace

// A profile pane auto-hidden at exit comes back as a tab on the frame's
// edge; its View entry then removes it instead of docking a second copy,
// and the next start has it once.
TEST_F(Brindlemark, AProfilePanePinnedAtExitIsRemovedByItsViewEntryAndNotCopied)
{
    {
        Game game;
        ASSERT_TRUE(game.Frame() != NULL);
        HWND hFrame = game.Frame();
        ChooseProfilePaneEntry(game, false);
        std::vector<HWND> containers = VisibleDescendants(hFrame, "XTPDockingPaneTabbedContainer");
        ASSERT_EQ(1u, containers.size()) << "the appearance pane did not open";
        ASSERT_EQ(1u, VisibleDescendants(hFrame, "XTPPropertyGrid").size());
        ClickPin(containers[0]);
        // Pinned away: the grid is gone from view, a tab stands on the left.
        EXPECT_EQ(0u, VisibleDescendants(hFrame, "XTPPropertyGrid").size()) << "the pin did not hide the pane";
        EXPECT_EQ(1u, VisibleDescendants(hFrame, "XTPDockingPaneAutoHidePanel").size());
        EXPECT_FALSE(testsupport::SaveScreenSnapshot(hFrame, "appearance_pane_pinned").empty());
        EXPECT_EQ(0, game.Close());
    }
    {
        Game again;
        ASSERT_TRUE(again.Frame() != NULL);
        HWND hFrame = again.Frame();
        ASSERT_EQ(1u, VisibleDescendants(hFrame, "XTPDockingPaneAutoHidePanel").size()) << "no tab after the restart";
        EXPECT_EQ(0u, VisibleDescendants(hFrame, "XTPPropertyGrid").size());
        // The entry shows checked (seen in the snapshot of the open menu).
        ChooseWithKeys(hFrame, 'V', {VK_RETURN});
        EXPECT_TRUE(WaitForPopupBar(again.Pid()) != NULL);
        EXPECT_FALSE(testsupport::SaveScreenSnapshot(hFrame, "appearance_entry_of_a_pinned_pane").empty());
        PressKeys({VK_ESCAPE});
        PressKeys({VK_ESCAPE});
        PressKeys({VK_ESCAPE});
        Wait(300);

        // Chosen, it removes the pinned pane; no docked copy appears.
        ChooseProfilePaneEntry(again, false);
        EXPECT_EQ(0u, VisibleDescendants(hFrame, "XTPDockingPaneAutoHidePanel").size()) << "the tab stayed";
        EXPECT_EQ(0u, VisibleDescendants(hFrame, "XTPDockingPaneTabbedContainer").size()) << "a copy was docked";
        EXPECT_EQ(0u, VisibleDescendants(hFrame, "XTPPropertyGrid").size());
        // Chosen again, it docks the pane once.
        ChooseProfilePaneEntry(again, false);
        EXPECT_EQ(1u, VisibleDescendants(hFrame, "XTPDockingPaneTabbedContainer").size());
        EXPECT_EQ(1u, VisibleDescendants(hFrame, "XTPPropertyGrid").size());
        EXPECT_EQ(0u, VisibleDescendants(hFrame, "XTPDockingPaneAutoHidePanel").size());

        // The difficulty pane, opened and pinned in the same run.
        ChooseProfilePaneEntry(again, true);
        EXPECT_EQ(2u, VisibleDescendants(hFrame, "XTPPropertyGrid").size()) << "the difficulty pane did not open";
        std::vector<HWND> containers = VisibleDescendants(hFrame, "XTPDockingPaneTabbedContainer");
        ASSERT_EQ(2u, containers.size());
        RECT rcA, rcB;
        ::GetWindowRect(containers[0], &rcA);
        ::GetWindowRect(containers[1], &rcB);
        // The newer pane docks at the frame's left edge, left of the other.
        ClickPin(rcA.left < rcB.left ? containers[0] : containers[1]);
        EXPECT_EQ(1u, VisibleDescendants(hFrame, "XTPPropertyGrid").size()) << "the pin did not hide the pane";
        EXPECT_EQ(1u, VisibleDescendants(hFrame, "XTPDockingPaneAutoHidePanel").size());
        EXPECT_EQ(0, again.Close());
    }
    {
        // One of each pane: the appearance pane docked, the difficulty pane
        // pinned; its entry removes it at once.
        Game third;
        ASSERT_TRUE(third.Frame() != NULL);
        HWND hFrame = third.Frame();
        EXPECT_EQ(1u, VisibleDescendants(hFrame, "XTPDockingPaneTabbedContainer").size());
        EXPECT_EQ(1u, VisibleDescendants(hFrame, "XTPPropertyGrid").size());
        EXPECT_EQ(1u, VisibleDescendants(hFrame, "XTPDockingPaneAutoHidePanel").size());
        EXPECT_FALSE(testsupport::SaveScreenSnapshot(hFrame, "one_pane_docked_one_pinned").empty());
        ChooseProfilePaneEntry(third, true);
        EXPECT_EQ(0u, VisibleDescendants(hFrame, "XTPDockingPaneAutoHidePanel").size());
        EXPECT_EQ(1u, VisibleDescendants(hFrame, "XTPDockingPaneTabbedContainer").size());
        ChooseProfilePaneEntry(third, false);
        EXPECT_EQ(0u, VisibleDescendants(hFrame, "XTPDockingPaneTabbedContainer").size());
        EXPECT_EQ(0, third.Close());
    }
    Game fourth;
    ASSERT_TRUE(fourth.Frame() != NULL);
    EXPECT_EQ(0u, VisibleDescendants(fourth.Frame(), "XTPDockingPaneTabbedContainer").size());
    EXPECT_EQ(0u, VisibleDescendants(fourth.Frame(), "XTPDockingPaneAutoHidePanel").size());
    EXPECT_EQ(0, fourth.Close());
    ClearSettings();
}

namespace
{
// The id of the selected pane of the stored group of two panes, or -1.
int StoredSelectionOfTheGroup()
{
    const std::string strLayout = "DockingPaneLayouts\\NormalLayout\\";
    const int nCount = testsupport::UserProfileInt((strLayout + "Summary").c_str(), "Panes");
    for (int n = 1; n <= nCount; n++)
    {
        const std::string strSection = strLayout + "Pane-" + std::to_string(n);
        if (testsupport::UserProfileInt(strSection.c_str(), "Type") != 1 ||
            testsupport::UserProfileInt(strSection.c_str(), "Panes") != 2)
            continue;
        const int nSelected = testsupport::UserProfileInt(strSection.c_str(), "Selected");
        return testsupport::UserProfileInt((strLayout + "Pane-" + std::to_string(nSelected)).c_str(), "ID");
    }
    return -1;
}

// The one visible tabbed container of the frame, or of a floating window.
HWND TheGroup(const Game& game)
{
    std::vector<HWND> containers = VisibleDescendants(game.Frame(), "XTPDockingPaneTabbedContainer");
    if (containers.empty())
    {
        HWND hMini = FloatingPane(game);
        if (hMini != NULL)
            containers = VisibleDescendants(hMini, "XTPDockingPaneTabbedContainer");
    }
    return containers.size() == 1 ? containers[0] : NULL;
}
} // namespace

// The two profile panes tabbed together with the first tab chosen: moved
// as a whole (dragged out to float, dragged back to dock, pinned), the
// group keeps the first tab, and the next start shows it so.
TEST_F(Brindlemark, AGroupOfBothProfilePanesKeepsItsChosenTabWhenMovedWhole)
{
    {
        Game game;
        ASSERT_TRUE(game.Frame() != NULL);
        HWND hFrame = game.Frame();
        ChooseProfilePaneEntry(game, false);
        ChooseProfilePaneEntry(game, true);
        std::vector<HWND> containers = VisibleDescendants(hFrame, "XTPDockingPaneTabbedContainer");
        ASSERT_EQ(2u, containers.size());
        // The difficulty pane (docked last, at the edge) dragged by its
        // caption onto the appearance pane's caption: tabbed in behind it.
        RECT rcA, rcB;
        ::GetWindowRect(containers[0], &rcA);
        ::GetWindowRect(containers[1], &rcB);
        const RECT rcDifficulty = rcA.left < rcB.left ? rcA : rcB;
        const RECT rcAppearance = rcA.left < rcB.left ? rcB : rcA;
        DragScreen({rcDifficulty.left + 30, rcDifficulty.top + 8}, {rcAppearance.left + 40, rcAppearance.top + 8});
        Wait(500);
        HWND hGroup = TheGroup(game);
        ASSERT_TRUE(hGroup != NULL) << "the panes were not tabbed together";
        EXPECT_EQ(1u, VisibleDescendants(hFrame, "XTPPropertyGrid").size());
        // The first tab, at the left of the tab row along the bottom.
        RECT rcGroup;
        ::GetWindowRect(hGroup, &rcGroup);
        ClickScreen({rcGroup.left + 25, rcGroup.bottom - 10}, false);
        EXPECT_FALSE(testsupport::SaveScreenSnapshot(hFrame, "profile_group_first_tab").empty());

        // Dragged by its caption into the middle of the board: it floats.
        RECT rcView;
        ::GetWindowRect(game.View(), &rcView);
        DragScreen({rcGroup.left + 30, rcGroup.top + 8}, {(rcView.left + rcView.right) / 2, rcView.top + 100});
        Wait(500);
        ASSERT_TRUE(FloatingPane(game) != NULL) << "the group did not float";
        EXPECT_FALSE(testsupport::SaveScreenSnapshot(hFrame, "profile_group_floated").empty());
        EXPECT_EQ(0, game.Close());
    }
    EXPECT_EQ(1000, StoredSelectionOfTheGroup()) << "floated";
    {
        Game game;
        ASSERT_TRUE(game.Frame() != NULL);
        HWND hMini = FloatingPane(game);
        ASSERT_TRUE(hMini != NULL) << "the floating group did not come back";
        // Dragged by the floating window's caption to the board's left
        // edge: docked there.
        RECT rcMini, rcView;
        ::GetWindowRect(hMini, &rcMini);
        ::GetWindowRect(game.View(), &rcView);
        DragScreen({rcMini.left + 30, rcMini.top + 8}, {rcView.left + 6, (rcView.top + rcView.bottom) / 2});
        Wait(500);
        EXPECT_TRUE(FloatingPane(game) == NULL) << "the group did not dock";
        EXPECT_FALSE(testsupport::SaveScreenSnapshot(game.Frame(), "profile_group_docked").empty());
        EXPECT_EQ(0, game.Close());
    }
    EXPECT_EQ(1000, StoredSelectionOfTheGroup()) << "docked";
    {
        Game game;
        ASSERT_TRUE(game.Frame() != NULL);
        HWND hGroup = TheGroup(game);
        ASSERT_TRUE(hGroup != NULL) << "the docked group did not come back";
        ClickPin(hGroup);
        EXPECT_EQ(1u, VisibleDescendants(game.Frame(), "XTPDockingPaneAutoHidePanel").size()) << "not pinned";
        EXPECT_FALSE(testsupport::SaveScreenSnapshot(game.Frame(), "profile_group_pinned").empty());
        EXPECT_EQ(0, game.Close());
    }
    EXPECT_EQ(1000, StoredSelectionOfTheGroup()) << "pinned";
    ClearSettings();
}

namespace
{
// One row of screen pixels from x0 to x1 (exclusive) at y.
std::vector<COLORREF> ScreenRow(int x0, int x1, int y)
{
    std::vector<COLORREF> row;
    HDC hScreen = ::GetDC(NULL);
    for (int x = x0; x < x1; x++)
        row.push_back(::GetPixel(hScreen, x, y));
    ::ReleaseDC(NULL, hScreen);
    return row;
}
} // namespace

// Dragged just past the frame's right edge, a docked profile pane shows the
// outline of the strip it will take there, its own width, not the whole
// docking area; dropped, it lands in that strip.
TEST_F(Brindlemark, APaneDraggedToTheFramesEdgeOutlinesTheStripItLandsIn)
{
    Game game;
    ASSERT_TRUE(game.Frame() != NULL);
    HWND hFrame = game.Frame();
    ChooseProfilePaneEntry(game, false);
    std::vector<HWND> containers = VisibleDescendants(hFrame, "XTPDockingPaneTabbedContainer");
    ASSERT_EQ(1u, containers.size());
    RECT rcPane, rcView;
    ::GetWindowRect(containers[0], &rcPane);
    ::GetWindowRect(game.View(), &rcView);
    const int nWidth = rcPane.right - rcPane.left;
    RECT rcClient;
    ::GetClientRect(hFrame, &rcClient);
    ::MapWindowPoints(hFrame, NULL, (LPPOINT)&rcClient, 2);
    const int y = (rcView.top + rcView.bottom) / 2;
    const std::vector<COLORREF> before = ScreenRow(rcClient.left, rcClient.right, y);

    // Pressed on the caption and carried 10 pixels past the client's right
    // edge, the button still down.
    const POINT ptFrom = {rcPane.left + 30, rcPane.top + 8};
    const POINT ptTo = {rcClient.right + 10, y};
    ::SetCursorPos(ptFrom.x, ptFrom.y);
    Wait(100);
    testsupport::SendInputs({testsupport::MouseInput(MOUSEEVENTF_LEFTDOWN)});
    Wait(100);
    for (int i = 1; i <= 10; i++)
    {
        ::SetCursorPos(ptFrom.x + (ptTo.x - ptFrom.x) * i / 10, ptFrom.y + (ptTo.y - ptFrom.y) * i / 10);
        testsupport::SendInputs({testsupport::MouseInput(MOUSEEVENTF_MOVE)});
        Wait(50);
    }
    Wait(500);
    // The outline's bars are the columns the screen shows changed: its left
    // bar starts one pane width in from the right edge.
    const std::vector<COLORREF> during = ScreenRow(rcClient.left, rcClient.right, y);
    {
        // The screen as it is, without asking the game to paint.
        RECT rcFrame;
        ::GetWindowRect(hFrame, &rcFrame);
        testsupport::Canvas canvas(rcFrame.right - rcFrame.left, rcFrame.bottom - rcFrame.top);
        HDC hScreen = ::GetDC(NULL);
        ::BitBlt(canvas.Handle(), 0, 0, canvas.Width(), canvas.Height(), hScreen, rcFrame.left, rcFrame.top, SRCCOPY);
        ::ReleaseDC(NULL, hScreen);
        ::GdiFlush();
        EXPECT_FALSE(testsupport::SaveSnapshot(canvas, "pane_dragged_past_the_right_edge").empty());
    }
    int nFirstChanged = -1;
    for (size_t x = 0; x < during.size() && nFirstChanged < 0; x++)
        if (during[x] != before[x])
            nFirstChanged = rcClient.left + (int)x;
    testsupport::SendInputs({testsupport::MouseInput(MOUSEEVENTF_LEFTUP)});
    Wait(800);

    containers = VisibleDescendants(hFrame, "XTPDockingPaneTabbedContainer");
    ASSERT_EQ(1u, containers.size());
    RECT rcLanded;
    ::GetWindowRect(containers[0], &rcLanded);
    EXPECT_EQ(rcClient.right, rcLanded.right) << "not docked at the right edge";
    EXPECT_EQ(nWidth, rcLanded.right - rcLanded.left);
    ASSERT_GE(nFirstChanged, 0) << "no outline on the screen";
    EXPECT_LE(abs(nFirstChanged - rcLanded.left), 1) << "the outline starts at " << nFirstChanged
                                                       << ", the pane at " << rcLanded.left;
    EXPECT_EQ(0, game.Close());
    ClearSettings();
}

namespace
{
// What a process of the game is doing: whether it still runs, and its
// top-level windows by class and title.
struct DescribeData
{
    DWORD dwPid;
    std::string strText;
};

BOOL CALLBACK DescribeWindow(HWND hWnd, LPARAM lParam)
{
    DescribeData* pData = (DescribeData*)lParam;
    DWORD dwOwner = 0;
    ::GetWindowThreadProcessId(hWnd, &dwOwner);
    if (dwOwner == pData->dwPid)
    {
        char szClass[64] = "";
        ::GetClassName(hWnd, szClass, sizeof(szClass));
        pData->strText += std::string(" [") + szClass + " \"" + WindowText(hWnd) + "\"" +
                          (::IsWindowVisible(hWnd) ? " visible" : "") + "]";
    }
    return TRUE;
}

std::string DescribeProcess(HANDLE hProcess, DWORD dwPid)
{
    DWORD dwExit = 0;
    if (::GetExitCodeProcess(hProcess, &dwExit) && dwExit != STILL_ACTIVE)
        return "ended with code " + std::to_string(dwExit);
    DescribeData data = {dwPid, "still running; windows:"};
    ::EnumWindows(&DescribeWindow, (LPARAM)&data);
    return data.strText;
}
} // namespace

namespace
{
// A game process started by a test and its frame, once shown.
struct Started
{
    PROCESS_INFORMATION pi = {};
    HWND hFrame = NULL;
};

// Starts the game with the arguments after its path (each with its leading
// space, as " /p \"file\""); pi receives the process and its thread.
bool StartGameWith(const std::string& strArguments, PROCESS_INFORMATION& pi)
{
    std::string strCommand = "\"" + ExePath() + "\"" + strArguments;
    std::vector<char> command(strCommand.begin(), strCommand.end());
    command.push_back(0);
    STARTUPINFO si = {};
    si.cb = sizeof(si);
    return ::CreateProcess(NULL, command.data(), NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi) != FALSE;
}

bool StartGame(Started& game)
{
    return StartGameWith("", game.pi);
}

// Asks the game to exit in one of the player's ways: 0 Alt+F4, 1 File >
// Exit from the keyboard, 2 the window's Close.
void AskToExit(HWND hFrame, int nWay)
{
    switch (nWay)
    {
    case 0:
        ::SetForegroundWindow(hFrame);
        Wait(100);
        PressKeys({VK_MENU, VK_F4});
        break;
    case 1:
        ChooseWithKeys(hFrame, 'F', {VK_END, VK_RETURN});
        break;
    default:
        ::PostMessage(hFrame, WM_SYSCOMMAND, SC_CLOSE, 0);
        break;
    }
}

// Waits (bounded) for the process to end and checks that it ended
// normally; a process that stays is ended by force, a failure.
void ExpectEnded(Started& game, int nRound)
{
    const bool bEnded = ::WaitForSingleObject(game.pi.hProcess, 20000) == WAIT_OBJECT_0;
    EXPECT_TRUE(bEnded) << "exit " << nRound << " (way " << nRound % 3 << "): the process "
                        << DescribeProcess(game.pi.hProcess, game.pi.dwProcessId);
    if (!bEnded)
    {
        ::TerminateProcess(game.pi.hProcess, 1);
        ::WaitForSingleObject(game.pi.hProcess, 5000);
    }
    else
    {
        DWORD dwExit = 1;
        ::GetExitCodeProcess(game.pi.hProcess, &dwExit);
        EXPECT_EQ(0u, dwExit) << "exit " << nRound;
    }
    ::CloseHandle(game.pi.hThread);
    ::CloseHandle(game.pi.hProcess);
    game = Started();
}
} // namespace

// Exits in each of the player's ways (Alt+F4, File > Exit, the window's
// Close), each followed at once by the next start, while the game that
// exits may still be ending: every start shows the game's window and every
// exit ends its process, each within a bounded wait (a watchdog ends a
// process that stays).
TEST_F(Brindlemark, ExitsAndRestartsInARowEachShowTheWindowAndEnd)
{
    const int nRounds = 9;
    Started previous;
    for (int i = 0; i <= nRounds; i++)
    {
        if (previous.hFrame != NULL)
            AskToExit(previous.hFrame, (i - 1) % 3);
        Started next;
        if (i < nRounds)
            ASSERT_TRUE(StartGame(next));
        if (previous.pi.hProcess != NULL)
            ExpectEnded(previous, i - 1);
        if (i == nRounds)
            break;
        next.hFrame = WaitForWindow(next.pi.dwProcessId, "Untitled - Brindlemark", 20000);
        EXPECT_TRUE(next.hFrame != NULL) << "start " << i << ": no window; the process "
                                         << DescribeProcess(next.pi.hProcess, next.pi.dwProcessId);
        if (next.hFrame == NULL)
        {
            ::TerminateProcess(next.pi.hProcess, 1);
            ExpectEnded(next, i);
            continue;
        }
        // The splash goes first, so that the keys reach the frame.
        for (int n = 0; n < 300 && WaitForWindow(next.pi.dwProcessId, "", 50) != NULL; n++)
            Wait(50);
        previous = next;
    }
    ClearSettings();
}

namespace
{
// Empties the stored difficulty list and stores one profile of its own: a
// square grid of that side with a target time, forcing completion.
void StoreOnlyDifficultyProfile(int nSide, int nMinutes, bool bForceComplete)
{
    g_ApplicationInfo.m_GradeInfoList.LoadFromRegistry();
    g_ApplicationInfo.m_GradeInfoList.RemoveAll();
    CGradeInfo grade = CGradeInfo::MakeEasyProfile();
    grade.m_strProfileName = "Timed";
    grade.m_nColumns = grade.m_nRows = nSide;
    grade.m_nMinutesToComplete = nMinutes;
    grade.m_bForceComplete = bForceComplete ? 1 : 0;
    g_ApplicationInfo.m_GradeInfoList.AddProfile(grade);
    ASSERT_TRUE(g_ApplicationInfo.m_GradeInfoList.SaveToRegistry());
}

// The centre of a button of the Timer toolbar docked in the frame, where
// its layout puts it (texts below the icons): Pause and Play after the
// gripper, the clock, then the three display modes.
POINT TimerButton(HWND hBar, UINT nID)
{
    RECT rc;
    ::GetWindowRect(hBar, &rc);
    int x = 0;
    switch (nID)
    {
    case ID_TIMER_PAUSE:
        x = 29;
        break;
    case ID_TIMER_PLAY:
        x = 69;
        break;
    case ID_TIMER_ELAPSED:
        x = 305;
        break;
    case ID_TIMER_REMAINING:
        x = 367;
        break;
    default:
        x = 426;
        break;
    }
    POINT pt = {rc.left + x, (rc.top + rc.bottom) / 2};
    return pt;
}

// Ctrl+N, OK in the New Puzzle dialog (the first difficulty profile), and
// the wait for the progress window; TRUE once the frame is the player's
// again.
bool MakePuzzleWithCtrlN(Game& game)
{
    ::SetForegroundWindow(game.Frame());
    Wait(100);
    PressKeys({VK_CONTROL, 'N'});
    HWND hDialog = WaitForWindow(game.Pid(), "New Puzzle");
    if (hDialog == NULL)
        return false;
    Wait(300);
    ::SendMessage(::GetDlgItem(hDialog, IDC_DIFFICULTY_PROFILE), CB_SETCURSEL, 0, 0);
    ClickButton(hDialog, "OK");
    if (!WaitUntilGone(hDialog))
        return false;
    DWORD dwStart = ::GetTickCount();
    while (WaitForWindow(game.Pid(), "Create Progress", 10) != NULL && ::GetTickCount() - dwStart < 60000)
        Wait(50);
    for (int n = 0; n < 200 && !::IsWindowEnabled(game.Frame()); n++)
        Wait(50);
    ::SetForegroundWindow(game.Frame());
    Wait(300);
    return ::IsWindowEnabled(game.Frame()) != FALSE;
}
} // namespace

// A square clicked on a paused 5 x 5 board with a one-minute target that
// forces completion: the click plays the square, the game goes on, and its
// lists are still stored at the exit.
TEST_F(Brindlemark, ASquareClickedOnAPausedBoardPlaysItAndTheGameGoesOn)
{
    StoreOnlyDifficultyProfile(5, 1, true);
    Game game;
    ASSERT_TRUE(game.Frame() != NULL);
    ASSERT_TRUE(MakePuzzleWithCtrlN(game));
    HWND hFrame = game.Frame();
    HWND hTimer = TimerBar(game);
    ASSERT_TRUE(hTimer != NULL);
    ::SetForegroundWindow(hFrame);
    ClickScreen(TimerButton(hTimer, ID_TIMER_REMAINING), false);
    Wait(8000);
    int s = 0;
    POINT pt = game.SquareCentre(5, 0, 0, &s);
    ASSERT_GT(s, 10);
    POINT ptCorner = {pt.x - s / 2 + s / 8, pt.y - s / 2 + s / 8};
    const Patch playing = ScreenPatch(ptCorner);
    ClickScreen(TimerButton(hTimer, ID_TIMER_PAUSE), false);
    // The paused board hides its squares.
    EXPECT_TRUE(playing != WaitForPatch(ptCorner, playing, false)) << "not paused";
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(hFrame, "paused_five_by_five").empty());
    Wait(4000);
    ::SetForegroundWindow(hFrame);
    ClickScreen(pt, false);
    Wait(3000);
    ASSERT_TRUE(game.IsRunning()) << "the game ended after the click";
    // The click played the square on the board shown again.
    EXPECT_TRUE(playing != ScreenPatch(ptCorner)) << "the square was not shaded";
    EXPECT_TRUE(::IsWindowVisible(hFrame));
    ::PostMessage(hFrame, WM_CLOSE, 0, 0);
    HWND hQuestion = WaitForDialogOtherThan(game.Pid(), NULL);
    ASSERT_TRUE(hQuestion != NULL);
    ClickButton(hQuestion, "Don't Save");
    EXPECT_EQ(0, game.WaitForExit());
    // The lists of the session were stored at the exit.
    g_ApplicationInfo.m_GradeInfoList.LoadFromRegistry();
    ASSERT_EQ(1, (int)g_ApplicationInfo.m_GradeInfoList.GetCount());
    EXPECT_EQ(5, g_ApplicationInfo.m_GradeInfoList.GetHead().m_nColumns);
    ClearSettings();
}

namespace
{
// The visible dialogs (class #32770) of the process.
std::vector<HWND> VisibleDialogs(DWORD dwPid)
{
    std::vector<HWND> visible;
    for (HWND hWnd : TopLevels(dwPid, "#32770"))
        if (::IsWindowVisible(hWnd))
            visible.push_back(hWnd);
    return visible;
}

// Writes a 5 x 5 puzzle file whose difficulty profile has a one-minute
// target and forces completion, played for nSeconds already.
bool WriteTimedPuzzle(const std::string& strFile, int nSeconds)
{
    CHTDataContainer puzzle;
    CHTGenerator generator;
    bool bMade = false;
    for (int i = 0; i < 50 && !bMade; i++)
        bMade = generator.Generate(NULL, 5, 5, &puzzle) != FALSE;
    if (!bMade)
        return false;
    CGradeInfo grade = CGradeInfo::MakeEasyProfile();
    grade.m_strProfileName = "Timed";
    grade.m_nColumns = grade.m_nRows = 5;
    grade.m_nMinutesToComplete = 1;
    grade.m_bForceComplete = 1;
    CAppearanceInfo appearance;
    puzzle.ApplySquareColours(appearance);
    puzzle.m_AppearanceInfo.CopyFrom(appearance);
    puzzle.SetGradeInfo(grade);
    puzzle.m_nGameState = htgsPlaying;
    puzzle.m_nElapsedSeconds = nSeconds;
    return puzzle.WriteToFile(strFile.c_str()) != FALSE;
}

// The one dialog of the game that is open: it is the only one, its text
// (when a message) is the one given, and it lies owned by the game's
// window, centred on it, in front of it.
HWND ExpectOnlyDialog(const Game& game, const char* pszWhat, const char* pszMessage)
{
    HWND hDialog = WaitForDialogOtherThan(game.Pid(), NULL, 10000);
    EXPECT_TRUE(hDialog != NULL) << pszWhat << ": nothing opened";
    if (hDialog == NULL)
        return NULL;
    Wait(500);
    const std::vector<HWND> dialogs = VisibleDialogs(game.Pid());
    EXPECT_EQ(1u, dialogs.size()) << pszWhat << ": questions stacked";
    if (pszMessage != NULL)
    {
        EXPECT_EQ(pszMessage, MessageText(hDialog)) << pszWhat;
    }
    EXPECT_EQ(game.Frame(), ::GetWindow(hDialog, GW_OWNER)) << pszWhat << ": not owned by the game's window";
    EXPECT_TRUE(IsCentredOver(hDialog, game.Frame())) << pszWhat << ": not centred on the game's window";
    EXPECT_TRUE(IsAbove(hDialog, game.Frame())) << pszWhat << ": behind the game's window";
    EXPECT_FALSE(::IsWindowEnabled(game.Frame())) << pszWhat << ": the game's window does not wait for it";
    return hDialog;
}

// Clicks a dialog's button where it lies on the screen.
void ClickDialogButton(HWND hDialog, int nID)
{
    HWND hButton = ::GetDlgItem(hDialog, nID);
    ASSERT_TRUE(hButton != NULL) << "no button " << nID;
    RECT rc;
    ::GetWindowRect(hButton, &rc);
    ::SetForegroundWindow(hDialog);
    Wait(100);
    ClickScreen({(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2}, false);
}

const char kGridModified[] = "The current grid has been modified.\n\nWould you like to save it?";
const char kPuzzleSolved[] = "The current puzzle has been solved.\n\nWould you like to start another?";
} // namespace

// A forced one-minute game whose time runs out while the save question of
// New Puzzle is open: the solution and its question wait until the player
// is back at the board, then come alone; every question and dialog is owned
// by the game's window, in front of it, and the game's window is the
// player's again at the end.
TEST_F(Brindlemark, TheTimeUpWaitsBehindAnOpenQuestionAndAsksAlone)
{
    StoreOnlyDifficultyProfile(5, 1, true);
    char szTemp[MAX_PATH];
    ::GetTempPath(MAX_PATH, szTemp);
    const std::string strFile = std::string(szTemp) + "e2e_timed.hti";
    // 50 of the 60 seconds played: the time runs out about ten seconds
    // after the start.
    ASSERT_TRUE(WriteTimedPuzzle(strFile, 50));
    Game game(" \"" + strFile + "\"", "e2e_timed.hti - Brindlemark");
    ASSERT_TRUE(game.Frame() != NULL);
    HWND hFrame = game.Frame();
    ::SetForegroundWindow(hFrame);
    Wait(1500);   // a tick of the clock: the puzzle asks to be saved

    // Ctrl+N asks to save the grid; the time runs out behind the question.
    PressKeys({VK_CONTROL, 'N'});
    HWND hSave = ExpectOnlyDialog(game, "the save question of New Puzzle", kGridModified);
    ASSERT_TRUE(hSave != NULL);
    Wait(12000);
    EXPECT_EQ(1u, VisibleDialogs(game.Pid()).size()) << "a question opened on the save question";
    EXPECT_TRUE(::IsWindow(hSave));
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(hFrame, "time_up_behind_the_save_question").empty());

    // Cancel: back at the board, the solution is shown and the one question
    // of the time-up asks.
    ClickDialogButton(hSave, IDCANCEL);
    EXPECT_TRUE(WaitUntilGone(hSave));
    HWND hSolved = ExpectOnlyDialog(game, "the time-up's question", kPuzzleSolved);
    ASSERT_TRUE(hSolved != NULL);
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(hFrame, "time_up_question").empty());

    // "Yes, please": the grid is asked about again, then New Puzzle opens,
    // each alone and in front of the game's window.
    ClickDialogButton(hSolved, IDOK);
    EXPECT_TRUE(WaitUntilGone(hSolved));
    HWND hSaveAgain = ExpectOnlyDialog(game, "the save question after Yes, please", kGridModified);
    ASSERT_TRUE(hSaveAgain != NULL);
    ClickDialogButton(hSaveAgain, IDNO);   // Don't Save
    EXPECT_TRUE(WaitUntilGone(hSaveAgain));
    HWND hNew = ExpectOnlyDialog(game, "New Puzzle", NULL);
    ASSERT_TRUE(hNew != NULL);
    EXPECT_EQ("New Puzzle", WindowText(hNew));
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(hFrame, "new_puzzle_after_the_time_up").empty());
    ClickDialogButton(hNew, IDOK);
    EXPECT_TRUE(WaitUntilGone(hNew));
    DWORD dwStart = ::GetTickCount();
    while (WaitForWindow(game.Pid(), "Create Progress", 10) != NULL && ::GetTickCount() - dwStart < 60000)
        Wait(50);

    // The new board is the player's: the window is enabled, no question is
    // left anywhere, and a click shades a square.
    for (int n = 0; n < 100 && !::IsWindowEnabled(hFrame); n++)
        Wait(50);
    EXPECT_TRUE(::IsWindowEnabled(hFrame));
    EXPECT_TRUE(VisibleDialogs(game.Pid()).empty()) << "a question was left open";
    EXPECT_TRUE(TopLevels(game.Pid(), "#32770").empty()) << "a question was left behind the window";
    ::SetForegroundWindow(hFrame);
    int s = 0;
    POINT pt = game.SquareCentre(5, 2, 2, &s);
    POINT ptCorner = {pt.x - s / 2 + s / 8, pt.y - s / 2 + s / 8};
    const Patch before = ScreenPatch(ptCorner);
    ClickScreen(pt, false);
    EXPECT_TRUE(before != WaitForPatch(ptCorner, before, false)) << "the new board ignores clicks";
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(hFrame, "new_board_after_the_time_up").empty());

    ::PostMessage(hFrame, WM_CLOSE, 0, 0);
    HWND hQuestion = WaitForDialogOtherThan(game.Pid(), NULL);
    ASSERT_TRUE(hQuestion != NULL);
    ClickButton(hQuestion, "Don't Save");
    EXPECT_EQ(0, game.WaitForExit());
    ::DeleteFile(strFile.c_str());
    ClearSettings();
}

namespace
{
// Floats the docked container of a profile pane by a double click on its
// caption; TRUE once one more floating pane window shows.
bool FloatPaneContainer(Game& game, UINT nPaneCommand)
{
    const size_t nBefore = TopLevels(game.Pid(), "XTPDockingPaneMiniWnd").size();
    game.Command(nPaneCommand);
    std::vector<HWND> containers = Descendants(game.Frame(), "", "XTPDockingPaneTabbedContainer");
    if (containers.empty())
        return false;
    ::PostMessage(containers[0], WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(20, 8));
    Wait(700);
    return TopLevels(game.Pid(), "XTPDockingPaneMiniWnd").size() > nBefore;
}

// TRUE when the game's window answers a message within five seconds (a
// hung game would block the snapshots, which repaint it).
bool Responds(HWND hWnd)
{
    DWORD_PTR dwResult = 0;
    return ::SendMessageTimeout(hWnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &dwResult) != 0;
}

// With the floating windows of the game up and one of them clicked last,
// New Puzzle opens owned by the game's window and centred on it; when it
// closes the game's window is enabled and the floating windows are still in
// front of it.
void ExpectNewPuzzleOnTheFrameAfterAFloatingClick(Game& game, size_t nPanes, const char* pszWhen)
{
    HWND hFrame = game.Frame();
    // The splash has gone (a look of one turn each time).
    for (int n = 0; n < 300 && WaitForWindow(game.Pid(), "", 50) != NULL; n++)
        Wait(50);
    std::vector<HWND> floating;
    for (HWND hWnd : TopLevels(game.Pid(), "XTPDockingPaneMiniWnd"))
        if (::IsWindowVisible(hWnd))
            floating.push_back(hWnd);
    HWND hTimer = TimerBar(game);
    ASSERT_EQ(nPanes, floating.size()) << pszWhen << ": the panes float";
    ASSERT_TRUE(IsFloating(hTimer)) << pszWhen << ": the Timer toolbar floats";
    floating.push_back(hTimer);

    // Inside the last pane (its grid's lower part), then Ctrl+N.
    RECT rc;
    ::GetWindowRect(floating[nPanes - 1], &rc);
    ClickScreen({(rc.left + rc.right) / 2, rc.bottom - 40}, false);
    ASSERT_TRUE(Responds(hFrame)) << pszWhen << ": the game hangs after the click in the pane";
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(hFrame, std::string("floating_pane_clicked_") + pszWhen).empty());
    PressKeys({VK_CONTROL, 'N'});
    HWND hNew = WaitForWindow(game.Pid(), "New Puzzle", 5000);
    if (hNew == NULL)
    {
        // The accelerator reaches the game only through its window.
        ::PostMessage(hFrame, WM_COMMAND, ID_NEW_PUZZLE, 0);
        hNew = WaitForWindow(game.Pid(), "New Puzzle", 5000);
    }
    ASSERT_TRUE(hNew != NULL) << pszWhen;
    ASSERT_TRUE(Responds(hFrame)) << pszWhen;
    Wait(500);
    EXPECT_EQ(hFrame, ::GetWindow(hNew, GW_OWNER)) << pszWhen << ": owned by a floating window";
    EXPECT_TRUE(IsCentredOver(hNew, hFrame)) << pszWhen << ": not centred on the game's window";
    for (HWND hWnd : floating)
        EXPECT_TRUE(IsAbove(hNew, hWnd) || !::IsWindowVisible(hWnd)) << pszWhen << ": behind a floating window";
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(hFrame, std::string("new_puzzle_over_floating_windows_") + pszWhen).empty());
    ClickDialogButton(hNew, IDCANCEL);
    EXPECT_TRUE(WaitUntilGone(hNew)) << pszWhen;
    Wait(500);
    EXPECT_TRUE(::IsWindowEnabled(hFrame)) << pszWhen;
    for (HWND hWnd : floating)
    {
        EXPECT_TRUE(::IsWindowVisible(hWnd)) << pszWhen;
        EXPECT_TRUE(IsAbove(hWnd, hFrame)) << pszWhen << ": a floating window went behind the game's window";
    }
}
} // namespace

// New Puzzle chosen after a click on a floating pane opens on the game's
// window, with both profile panes and the Timer toolbar floating, and again
// after a restart that brings them back.
TEST_F(Brindlemark, NewPuzzleOpensOnTheFrameAfterAFloatingPaneWasClicked)
{
    {
        Game game;
        ASSERT_TRUE(game.Frame() != NULL);
        HWND hFrame = game.Frame();
        ::SetForegroundWindow(hFrame);
        Wait(200);
        ASSERT_TRUE(DragTimerBarOut(game, {560, 640})) << "no Timer toolbar";
        ASSERT_TRUE(IsFloating(TimerBar(game)));
        ASSERT_TRUE(FloatPaneContainer(game, ID_DIFFICULTY_PANE));
        ASSERT_TRUE(FloatPaneContainer(game, ID_APPEARANCE_PANE));
        // The panes away from the game's centre, each in its own window.
        std::vector<HWND> minis = TopLevels(game.Pid(), "XTPDockingPaneMiniWnd");
        ASSERT_EQ(2u, minis.size());
        ::SetWindowPos(minis[0], NULL, 700, 80, 220, 300, SWP_NOZORDER | SWP_NOACTIVATE);
        ::SetWindowPos(minis[1], NULL, 940, 80, 220, 300, SWP_NOZORDER | SWP_NOACTIVATE);
        Wait(500);
        ExpectNewPuzzleOnTheFrameAfterAFloatingClick(game, 2, "floated");
        EXPECT_EQ(0, game.Close());
    }
    Game again;
    ASSERT_TRUE(again.Frame() != NULL);
    Wait(500);
    ExpectNewPuzzleOnTheFrameAfterAFloatingClick(again, 2, "after_a_restart");
    EXPECT_EQ(0, again.Close());
    ClearSettings();
}

// Exits with Alt+F4 from a game in play whose toolbars were clicked (their
// sound worker runs) and whose save question is answered Don't Save, each
// followed at once by the next start: every exit ends its process and every
// start shows the window, within bounded waits.
TEST_F(Brindlemark, AltF4FromAGameInPlayEndsTheProcessAndTheNextStartShowsTheWindow)
{
    StoreOnlyDifficultyProfile(5, 1, false);
    for (int i = 0; i < 3; i++)
    {
        Game game;
        ASSERT_TRUE(game.Frame() != NULL) << "start " << i;
        for (int n = 0; n < 300 && WaitForWindow(game.Pid(), "", 50) != NULL; n++)
            Wait(50);
        ASSERT_TRUE(MakePuzzleWithCtrlN(game)) << "start " << i;
        HWND hTimer = TimerBar(game);
        ASSERT_TRUE(hTimer != NULL);
        ClickScreen(TimerButton(hTimer, ID_TIMER_PAUSE), false);
        ClickScreen(TimerButton(hTimer, ID_TIMER_PLAY), false);
        ClickScreen(game.SquareCentre(5, 1, 1), false);
        ::SetForegroundWindow(game.Frame());
        Wait(100);
        PressKeys({VK_MENU, VK_F4});
        HWND hQuestion = WaitForDialogOtherThan(game.Pid(), NULL, 10000);
        ASSERT_TRUE(hQuestion != NULL) << "round " << i << ": no save question";
        ClickDialogButton(hQuestion, IDNO);   // Don't Save
        EXPECT_EQ(0, game.WaitForExit()) << "round " << i << ": the process "
                                         << DescribeProcess(game.Handle(), game.Pid());
    }
    ClearSettings();
}

namespace
{
// The floating windows of the game now, each with the signature taken
// before under its name; FALSE (a failure) when one is missing.
bool FindAgain(const Game& game, std::vector<SeenWindow>& windows)
{
    std::vector<SeenWindow> now = FloatingWindowsOf(game);
    for (SeenWindow& window : windows)
    {
        auto it = std::find_if(now.begin(), now.end(), [&](const SeenWindow& w) { return w.strName == window.strName; });
        if (it == now.end())
        {
            ADD_FAILURE() << window.strName << " does not float";
            return false;
        }
        window.hWnd = it->hWnd;
    }
    return true;
}

// Double-clicks the caption of the profile pane docked in the frame (with
// real input), which floats it.
void DoubleClickDockedCaption(const Game& game)
{
    std::vector<HWND> containers = Descendants(game.Frame(), "", "XTPDockingPaneTabbedContainer");
    ASSERT_EQ(1u, containers.size()) << "one docked pane";
    RECT rc;
    ::GetWindowRect(containers[0], &rc);
    const POINT pt = {rc.left + 40, rc.top + 8};
    ::SetCursorPos(pt.x, pt.y);
    Wait(100);
    for (int i = 0; i < 2; i++)
        testsupport::SendInputs({testsupport::MouseInput(MOUSEEVENTF_LEFTDOWN, pt),
                                 testsupport::MouseInput(MOUSEEVENTF_LEFTUP, pt)});
    Wait(800);
}
} // namespace

// With the Timer toolbar floating, a profile pane floated from its docked
// place, and then a second one, shows in front of the frame with the others;
// so do they all after a pane is docked back and floated again, and after a
// start-up message (a puzzle named on the command line that cannot be read)
// was answered. A watchdog ends the test (and the game) if anything hangs.
TEST_F(Brindlemark, FloatingWindowsStayInFrontWhenADockedPaneIsFloatedAndAfterAStartUpMessage)
{
    testsupport::Watchdog watchdog("floating a docked pane beside the floating Timer", 200000);
    ASSERT_TRUE(watchdog.IsArmed());
    std::vector<SeenWindow> windows;
    {
        Game game;
        ASSERT_TRUE(game.Frame() != NULL);
        watchdog.AlsoEnd(game.Process());
        HWND hFrame = game.Frame();
        ::SetForegroundWindow(hFrame);
        Wait(200);
        ASSERT_TRUE(DragTimerBarOut(game, {500, 400})) << "no Timer toolbar";
        ASSERT_TRUE(IsFloating(TimerBar(game)));

        game.Command(ID_DIFFICULTY_PANE);
        DoubleClickDockedCaption(game);
        ASSERT_EQ(1u, TopLevels(game.Pid(), "XTPDockingPaneMiniWnd").size()) << "the first pane floated";
        windows = FloatingWindowsOf(game);
        ASSERT_EQ(2u, windows.size());
        PlaceAndExpectInFront(game, windows, "the first docked pane floated");

        game.Command(ID_APPEARANCE_PANE);
        DoubleClickDockedCaption(game);
        ASSERT_EQ(2u, TopLevels(game.Pid(), "XTPDockingPaneMiniWnd").size()) << "the second pane floated";
        windows = FloatingWindowsOf(game);
        ASSERT_EQ(3u, windows.size());
        PlaceAndExpectInFront(game, windows, "the second docked pane floated");

        // The first pane docked back by a double click on its window's
        // caption, then floated again from its docked place.
        RECT rc;
        ::GetWindowRect(windows[1].hWnd, &rc);
        const POINT ptCaption = {rc.left + 40, rc.top + 8};
        ::SetCursorPos(ptCaption.x, ptCaption.y);
        Wait(100);
        for (int i = 0; i < 2; i++)
            testsupport::SendInputs({testsupport::MouseInput(MOUSEEVENTF_LEFTDOWN, ptCaption),
                                     testsupport::MouseInput(MOUSEEVENTF_LEFTUP, ptCaption)});
        Wait(800);
        ASSERT_EQ(1u, Descendants(hFrame, "", "XTPDockingPaneTabbedContainer").size()) << "docked back";
        DoubleClickDockedCaption(game);
        ASSERT_TRUE(FindAgain(game, windows));
        ExpectFloatingWindowsInFront(game, windows, "a pane docked back and floated again");
        EXPECT_FALSE(testsupport::SaveScreenSnapshot(hFrame, "docked_pane_floated_beside_the_timer").empty());
        EXPECT_EQ(0, game.Close());
    }

    // A start-up message about a puzzle that cannot be read, answered.
    char szTemp[MAX_PATH];
    ::GetTempPath(MAX_PATH, szTemp);
    const std::string strFile = std::string(szTemp) + "e2e_no_such_floating_puzzle.hti";
    ::DeleteFileA(strFile.c_str());
    Game again(" \"" + strFile + "\"");
    ASSERT_TRUE(again.Frame() != NULL);
    watchdog.AlsoEnd(again.Process());
    HWND hMessage = WaitForMessageWindow(again.Pid(), 10000);
    ASSERT_TRUE(hMessage != NULL) << "no start-up message";
    ClickButton(hMessage, "OK");
    EXPECT_TRUE(WaitUntilGone(hMessage));
    EXPECT_FALSE(SplashStays(again.Pid(), 10000)) << "the splash stays";
    ASSERT_TRUE(FindAgain(again, windows));
    ExpectFloatingWindowsInFront(again, windows, "a start-up message answered");
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(again.Frame(), "floating_windows_after_a_start_up_message").empty());
    EXPECT_EQ(0, again.Close());
    ClearSettings();
}

namespace
{
// The window of a profile pane that slid out of its tab on the frame's edge
// (a child of the frame that holds the pane's visible grid); NULL when none.
HWND SlidOutPane(HWND hFrame)
{
    for (HWND hGrid : Descendants(hFrame, "", "XTPPropertyGrid"))
    {
        if (!::IsWindowVisible(hGrid))
            continue;
        HWND hWnd = hGrid;
        while (::GetParent(hWnd) != NULL && ::GetParent(hWnd) != hFrame)
            hWnd = ::GetParent(hWnd);
        if (::GetParent(hWnd) == hFrame)
            return hWnd;
    }
    return NULL;
}

// An always-on-top window of another program (this one), filled with one
// colour, shown without activation.
HWND ShowAlwaysOnTopWindow(const RECT& rc, COLORREF cr)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = ::GetModuleHandle(NULL);
    wc.hbrBackground = ::CreateSolidBrush(cr);
    wc.lpszClassName = "BrindlemarkTestAlwaysOnTop";
    ::RegisterClassA(&wc);
    HWND hWnd = ::CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, wc.lpszClassName, "", WS_POPUP, rc.left, rc.top,
                                  rc.right - rc.left, rc.bottom - rc.top, NULL, NULL, wc.hInstance, NULL);
    ::ShowWindow(hWnd, SW_SHOWNA);
    return hWnd;
}

COLORREF ScreenColour(POINT pt)
{
    HDC hScreen = ::GetDC(NULL);
    COLORREF cr = ::GetPixel(hScreen, pt.x, pt.y);
    ::ReleaseDC(NULL, hScreen);
    return cr;
}

// A click on the frame's caption, as a player makes it. Without a window
// manager the game draws the caption and takes the click. With one, the
// caption is the window manager's title bar, which the tests' pointer
// input (given to Wine, not to the display) never reaches: there it would
// land on the desktop behind. A click on the title bar has the window
// manager activate and raise the frame, which the test asks of it through
// Wine by making the frame the foreground window. hDialog: a dialog of
// the game open then, which the window manager activates in the frame's
// place (its own way with a modal dialog of the frame's family).
void ClickTheFramesCaption(HWND hFrame, HWND hDialog = NULL)
{
    if (!WindowsAreManaged())
    {
        ClickCaption(hFrame);
        Wait(300);
        return;
    }
    ::SetForegroundWindow(hFrame);
    for (int n = 0; n < 40 && ::GetForegroundWindow() != hFrame; n++)
        Wait(50);
    EXPECT_EQ(hFrame, ::GetForegroundWindow()) << "the frame is not activated";
    // The window manager holds the frame (or the open dialog) active, as
    // after a click on its title bar.
    const unsigned long nFrame = XWindowOf(hFrame), nDialog = hDialog != NULL ? XWindowOf(hDialog) : 0;
    unsigned long nActive = ActiveOnTheDisplay();
    for (int n = 0; n < 40 && nActive != nFrame && (nDialog == 0 || nActive != nDialog); n++)
    {
        Wait(50);
        nActive = ActiveOnTheDisplay();
    }
    EXPECT_TRUE(nActive == nFrame || (nDialog != 0 && nActive == nDialog))
        << "the window manager does not hold the frame active (0x" << std::hex << nActive << ")";
    Wait(300);
}
} // namespace

// Each floating window (the Timer toolbar and both profile panes) is seen on
// the screen in front of the frame after every path that once put the frame
// over them: a docked pane dragged out to float beside the floating Timer and
// the other pane; then, after a restart with that arrangement, a
// colour dialog opened from a floating pane, then a click on the frame's
// caption, and the dialog closed from code; an always-on-top window of
// another program showing while the frame's caption is clicked, and after
// it is gone; an open menu while the frame's caption is clicked; two
// floating panes overlapping (the screen shows the one the system's order
// puts on top, also after the other was clicked); a docked pane pinned and
// unpinned. The colour dialog stays seen above them all. A watchdog ends
// the test (and the game) if anything hangs. Run both on the tests' display
// without a window manager and, by app_brindlemark_test_desktop, on a
// display with one that manages the game's windows: there a click on the
// frame's caption is the window manager's (see ClickTheFramesCaption), and
// a menu it leaves open is closed with Escape.
TEST_F(Brindlemark, FloatingWindowsAreSeenInFrontOnTheScreenInEveryPath)
{
    testsupport::Watchdog watchdog("the floating windows in every path", 280000);
    ASSERT_TRUE(watchdog.IsArmed());
    {
        // The Timer dragged out, the Difficulty pane docked and floated by a
        // double click, then the docked Appearance pane dragged out of its
        // place by its caption into the board.
        Game first;
        ASSERT_TRUE(first.Frame() != NULL);
        watchdog.AlsoEnd(first.Process());
        HWND hFirstFrame = first.Frame();
        ::SetForegroundWindow(hFirstFrame);
        Wait(200);
        ASSERT_TRUE(DragTimerBarOut(first, {500, 400})) << "no Timer toolbar";
        ASSERT_TRUE(IsFloating(TimerBar(first)));
        first.Command(ID_DIFFICULTY_PANE);
        DoubleClickDockedCaption(first);
        ASSERT_EQ(1u, TopLevels(first.Pid(), "XTPDockingPaneMiniWnd").size()) << "the Difficulty pane floated";
        std::vector<SeenWindow> before = FloatingWindowsOf(first);
        ASSERT_EQ(2u, before.size());
        PlaceAndExpectInFront(first, before, "the Difficulty pane floated");
        first.Command(ID_APPEARANCE_PANE);
        Wait(500);
        std::vector<HWND> docked = VisibleDescendants(hFirstFrame, "XTPDockingPaneTabbedContainer");
        ASSERT_EQ(1u, docked.size()) << "the Appearance pane docked";
        RECT rcDocked, rcView;
        ::GetWindowRect(docked[0], &rcDocked);
        ::GetWindowRect(first.View(), &rcView);
        DragScreen({rcDocked.left + 40, rcDocked.top + 8}, {(rcView.left + rcView.right) / 2, rcView.top + 80});
        Wait(500);
        ASSERT_EQ(2u, TopLevels(first.Pid(), "XTPDockingPaneMiniWnd").size()) << "the Appearance pane dragged out";
        // The new floating pane lies where it was dropped, over the others.
        HWND hDropped = NULL;
        for (HWND hWnd : TopLevels(first.Pid(), "XTPDockingPaneMiniWnd"))
            if (hWnd != before[0].hWnd && hWnd != before[1].hWnd)
                hDropped = hWnd;
        ASSERT_TRUE(hDropped != NULL);
        ExpectFloatingWindowsInFront(first, before, "a docked pane dragged out to float", hDropped);
        std::vector<SeenWindow> all = FloatingWindowsOf(first);
        ASSERT_EQ(3u, all.size());
        PlaceOverTheView(first, all);
        ExpectFloatingWindowsInFront(first, all, "a docked pane dragged out, all three");
        EXPECT_EQ(0, first.Close());
    }

    // Restarted with both panes and the Timer floating.
    Game game;
    ASSERT_TRUE(game.Frame() != NULL) << "the game does not start";
    watchdog.AlsoEnd(game.Process());
    EXPECT_FALSE(SplashStays(game.Pid(), 10000)) << "the splash stays";
    HWND hFrame = game.Frame();
    // Apart in time, so that two clicks are never a double click.
    auto ClickFrameCaption = [hFrame](HWND hDialog = NULL) {
        Wait(600);
        ClickTheFramesCaption(hFrame, hDialog);
        EXPECT_FALSE(::IsZoomed(hFrame)) << "a click on the caption maximised the frame";
    };
    std::vector<SeenWindow> windows = FloatingWindowsOf(game);
    ASSERT_EQ(3u, windows.size()) << "both panes and the Timer bar float after the restart";
    PlaceAndExpectInFront(game, windows, "the start");

    // A colour dialog opened from the floating Appearance pane (owned by the
    // pane's window), then a click on the frame's caption.
    std::vector<HWND> lists = Descendants(windows[0].hWnd, "", "ListBox");
    ASSERT_FALSE(lists.empty()) << "the Appearance pane's grid";
    RECT rcRow = {};
    ASSERT_NE(LB_ERR, (int)::SendMessage(lists[0], LB_GETITEMRECT, 1, (LPARAM)&rcRow));
    POINT ptRow = {rcRow.right - 45, (rcRow.top + rcRow.bottom) / 2};
    ::ClientToScreen(lists[0], &ptRow);
    ClickScreen(ptRow, false);
    POINT ptButton = {rcRow.right - 8, (rcRow.top + rcRow.bottom) / 2};
    ::ClientToScreen(lists[0], &ptButton);
    ClickScreen(ptButton, false);
    HWND hColours = WaitForWindow(game.Pid(), "Colors", 5000);
    ASSERT_TRUE(hColours != NULL) << "no colour dialog";
    Wait(300);
    SeenWindow colours{"Colors", hColours, {}};
    TakeSignature(colours);
    ClickFrameCaption(hColours);
    ExpectFloatingWindowsInFront(game, windows, "a colour dialog of a floating pane, then the frame's caption",
                                 hColours);
    // The dialog stays above the frame and the floating windows.
    const int nDialogSeen = PercentSeenWithin(colours, 90, 2000);
    EXPECT_GE(nDialogSeen, 90) << "the colour dialog is covered on the screen (" << nDialogSeen << "% of it seen)";
    ::PostMessage(hColours, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitUntilGone(hColours));
    ExpectFloatingWindowsInFront(game, windows, "the colour dialog closed from code");

    // Another program's always-on-top window, below the frame's status bar
    // (apart from the floating windows), then the frame's caption.
    RECT rcFrame;
    ::GetWindowRect(hFrame, &rcFrame);
    const RECT rcTopmost = {rcFrame.left + 20, rcFrame.bottom + 10, rcFrame.left + 120, rcFrame.bottom + 60};
    const COLORREF crTopmost = RGB(230, 180, 30);
    HWND hTopmost = ShowAlwaysOnTopWindow(rcTopmost, crTopmost);
    ASSERT_TRUE(hTopmost != NULL);
    Wait(300);
    ClickCaption(windows[1].hWnd);   // the frame is activated by the click that follows
    ClickFrameCaption();
    ExpectFloatingWindowsInFront(game, windows, "the frame clicked under another program's always-on-top window");
    EXPECT_EQ(crTopmost, ScreenColour({rcTopmost.left + 50, rcTopmost.top + 25})) << "the always-on-top window";
    ::DestroyWindow(hTopmost);
    ClickCaption(windows[1].hWnd);
    ClickFrameCaption();
    ExpectFloatingWindowsInFront(game, windows, "the always-on-top window gone");

    // The game's own File menu open (a topmost window) when the frame's
    // caption is clicked.
    POINT ptFile = {14, 10};
    ::ClientToScreen(hFrame, &ptFile);
    ClickScreen(ptFile, false);
    HWND hMenu = WaitForPopupBar(game.Pid());
    EXPECT_TRUE(hMenu != NULL) << "the File menu";
    ClickFrameCaption();
    // With a window manager the click on its title bar never reaches the
    // game, and the menu stays open: above the floating windows, which are
    // seen in front of the frame around it, and again once it is closed.
    const HWND hStillOpen = hMenu != NULL && ::IsWindowVisible(hMenu) ? hMenu : NULL;
    ExpectFloatingWindowsInFront(game, windows, "the frame's caption clicked while a menu was open", hStillOpen);
    if (hStillOpen != NULL)
    {
        for (int n = 0; n < 3 && ::IsWindowVisible(hStillOpen); n++)
            PressKeys({VK_ESCAPE});
        EXPECT_FALSE(::IsWindowVisible(hStillOpen)) << "the menu does not close with Escape";
        ExpectFloatingWindowsInFront(game, windows, "the menu closed with Escape");
    }

    // The two panes overlapping: the screen shows the one on top in the
    // system's order over the other, after the frame is clicked, and again
    // after the lower one was clicked (and so went on top).
    RECT rcA, rcD;
    ::GetWindowRect(windows[0].hWnd, &rcA);
    ::GetWindowRect(windows[1].hWnd, &rcD);
    ASSERT_TRUE(MoveTopLevel(windows[1].hWnd, rcA.left - 100, rcA.top + 60)) << "the panes overlapping";
    for (int nRound = 0; nRound < 2; nRound++)
    {
        ClickFrameCaption();
        const bool bDifficultyOnTop = IsAbove(windows[1].hWnd, windows[0].hWnd);
        const SeenWindow& upper = bDifficultyOnTop ? windows[1] : windows[0];
        const SeenWindow& lower = bDifficultyOnTop ? windows[0] : windows[1];
        const std::string strWhen = std::string("overlapping panes, ") + upper.strName + " on top in the order";
        std::vector<SeenWindow> upperAndTimer = {upper, windows[2]};
        std::vector<SeenWindow> lowerOnly = {lower};
        ExpectFloatingWindowsInFront(game, upperAndTimer, strWhen.c_str());
        ExpectFloatingWindowsInFront(game, lowerOnly, strWhen.c_str(), upper.hWnd);
        if (nRound == 0)
        {
            // A click on the lower one, where the upper does not cover it.
            RECT rcLower;
            ::GetWindowRect(lower.hWnd, &rcLower);
            ClickScreen({bDifficultyOnTop ? rcLower.right - 30 : rcLower.left + 30, rcLower.top + 8}, false);
        }
    }
    ASSERT_TRUE(MoveTopLevel(windows[1].hWnd, rcD.left, rcD.top)) << "the panes apart";
    ClickFrameCaption();
    ExpectFloatingWindowsInFront(game, windows, "the panes apart again");
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(hFrame, "floating_windows_in_every_path").empty());

    // The Appearance pane docked back by a double click on its caption,
    // pinned (auto-hidden) and unpinned.
    RECT rc;
    ::GetWindowRect(windows[0].hWnd, &rc);
    const POINT ptCaption2 = {rc.left + 40, rc.top + 8};
    ::SetCursorPos(ptCaption2.x, ptCaption2.y);
    Wait(100);
    for (int i = 0; i < 2; i++)
        testsupport::SendInputs({testsupport::MouseInput(MOUSEEVENTF_LEFTDOWN, ptCaption2),
                                 testsupport::MouseInput(MOUSEEVENTF_LEFTUP, ptCaption2)});
    Wait(800);
    std::vector<HWND> containers = VisibleDescendants(hFrame, "XTPDockingPaneTabbedContainer");
    ASSERT_EQ(1u, containers.size()) << "docked back before the pin";
    std::vector<SeenWindow> others = FloatingWindowsOf(game);
    ASSERT_EQ(2u, others.size());
    for (SeenWindow& window : others)
        for (const SeenWindow& seen : windows)
            if (seen.strName == window.strName)
                window.signature = seen.signature;
    // The floating pane away from the docked pane's caption, over the
    // board's right margin.
    RECT rcBoard;
    ::GetWindowRect(game.View(), &rcBoard);
    for (const SeenWindow& window : others)
    {
        if (window.strName != "Timer")
            EXPECT_TRUE(MoveTopLevel(window.hWnd, rcBoard.right - 205, rcBoard.top + 10)) << window.strName;
    }
    ClickPin(containers[0]);
    ASSERT_EQ(1u, VisibleDescendants(hFrame, "XTPDockingPaneAutoHidePanel").size()) << "pinned";
    ExpectFloatingWindowsInFront(game, others, "a docked pane pinned");
    ::SetForegroundWindow(hFrame);
    std::vector<HWND> panels = VisibleDescendants(hFrame, "XTPDockingPaneAutoHidePanel");
    ASSERT_FALSE(panels.empty());
    RECT rcPanel;
    ::GetWindowRect(panels[0], &rcPanel);
    ::SetCursorPos((rcPanel.left + rcPanel.right) / 2, rcPanel.top + 40);
    HWND hSlid = NULL;
    for (int n = 0; n < 40 && hSlid == NULL; n++)
    {
        Wait(100);
        hSlid = SlidOutPane(hFrame);
    }
    ASSERT_TRUE(hSlid != NULL) << "the pinned pane does not slide out";
    Wait(400);
    ClickPin(hSlid);
    EXPECT_EQ(0u, VisibleDescendants(hFrame, "XTPDockingPaneAutoHidePanel").size()) << "unpinned";
    ExpectFloatingWindowsInFront(game, others, "a pinned pane unpinned");

    ::PostMessage(hFrame, WM_CLOSE, 0, 0);
    HWND hQuestion = WaitForDialogOtherThan(game.Pid(), NULL, 3000);
    if (hQuestion != NULL)
        ClickButton(hQuestion, "Don't Save");
    EXPECT_EQ(0, game.WaitForExit());
    ClearSettings();
}

namespace
{
// The Windows path of a stored state of the game kept with the tests.
std::string TestDataPath(const char* pszName)
{
    std::string strPath = std::string("Z:") + BM_APP_TEST_DATA + "/" + pszName;
    std::replace(strPath.begin(), strPath.end(), '/', '\\');
    return strPath;
}

// The Standard toolbar's window, docked in the frame.
HWND StandardBar(HWND hFrame)
{
    std::vector<HWND> bars = Descendants(hFrame, "Standard", "XTPToolBar");
    return bars.empty() ? NULL : bars[0];
}

// A player's stored state brought in as a player's registry would hold it:
// after one start and exit of the game (its first-run set-up done), the
// machine half of the player's state and the user half given.
void ImportPlayerState(const char* pszUserFile, int* pnStandardHeight = NULL)
{
    {
        Game first;
        ASSERT_TRUE(first.Frame() != NULL);
        HWND hStandard = StandardBar(first.Frame());
        ASSERT_TRUE(hStandard != NULL);
        if (pnStandardHeight != NULL)
            *pnStandardHeight = WindowRect(hStandard).bottom - WindowRect(hStandard).top;
        ASSERT_EQ(0, first.Close());
    }
    // The stored states were saved by the game of their day, whose own bars
    // (menus included) may differ from this build's: they are stamped with
    // this build's fingerprint of its bars, which its exit just stored, so
    // they read as saved by this build, as a player's own state would.
    const std::vector<BYTE> ownBars = UserValue("CommandBars-Controls", "OwnBars");
    ASSERT_EQ(sizeof(DWORD), ownBars.size()) << "the exit stores the fingerprint of the game's bars";
    ASSERT_TRUE(testsupport::ImportRegFile(TestDataPath("player-state-machine.reg")));
    ASSERT_TRUE(testsupport::ImportRegFile(TestDataPath(pszUserFile)));
    ASSERT_FALSE(UserValue("CommandBars-Controls", "Controls").empty()) << pszUserFile << " is imported";
    HKEY hKey = NULL;
    const std::string strKey = std::string(testsupport::GameKey()) + "\\CommandBars-Controls";
    ASSERT_EQ(ERROR_SUCCESS, ::RegOpenKeyExA(HKEY_CURRENT_USER, strKey.c_str(), 0, KEY_SET_VALUE, &hKey));
    const LONG lResult = ::RegSetValueExA(hKey, "OwnBars", 0, REG_DWORD, ownBars.data(), (DWORD)ownBars.size());
    ::RegCloseKey(hKey);
    ASSERT_EQ(ERROR_SUCCESS, lResult);
}

// The player's floating toolbar "Mine"; NULL when the game has none.
HWND FloatingPlayerBar(const Game& game)
{
    for (HWND hWnd : TopLevels(game.Pid(), "XTPToolBar"))
        if (WindowText(hWnd) == "Mine")
            return hWnd;
    return NULL;
}

} // namespace

// The player's sound stored state: every customisation loads, nothing is
// taken for damage or kept aside, and exit and restart keep it.
TEST_F(Brindlemark, APlayersStoredStateLoadsWholeAcrossExitAndRestart)
{
    int nDefaultHeight = 0;
    ImportPlayerState("player-state.reg", &nDefaultHeight);
    for (int nStart = 0; nStart < 2; nStart++)
    {
        SCOPED_TRACE(nStart == 0 ? "first start" : "restart");
        Game game;
        ASSERT_TRUE(game.Frame() != NULL);
        EXPECT_TRUE(WaitForWindow(game.Pid(), "Brindlemark", 500) == NULL) << "no question at start";
        EXPECT_TRUE(FloatingPlayerBar(game) != NULL) << "the player's own toolbar loads";
        ASSERT_TRUE(StandardBar(game.Frame()) != NULL);
        const RECT rcStandard = WindowRect(StandardBar(game.Frame()));
        EXPECT_GT(rcStandard.bottom - rcStandard.top, nDefaultHeight) << "the player's Standard bar loads";
        EXPECT_EQ(0, game.Close());
        EXPECT_TRUE(UserValue("CommandBars-ControlsNotLoaded", "Controls").empty()) << "nothing kept aside";
        EXPECT_EQ(0, testsupport::UserProfileInt("CommandBars-Controls", "LoadFromFile"));
    }
    ClearSettings();
}

// The Standard bar's stored original buttons damaged: the game starts with
// its own Standard bar, asks nothing, and keeps the stored value aside, also
// after the exit and the next start; the rest of the player's bars load.
TEST_F(Brindlemark, DamagedStoredOriginalsOfABarAreKeptAsideAcrossExitAndRestart)
{
    ImportPlayerState("damaged-bar-originals.reg");
    const std::vector<BYTE> stored = UserValue("CommandBars-Controls", "Controls");
    for (int nStart = 0; nStart < 2; nStart++)
    {
        SCOPED_TRACE(nStart == 0 ? "first start" : "restart");
        Game game;
        ASSERT_TRUE(game.Frame() != NULL);
        EXPECT_TRUE(WaitForWindow(game.Pid(), "Brindlemark", 500) == NULL) << "no question at start";
        EXPECT_TRUE(FloatingPlayerBar(game) != NULL) << "the player's own toolbar loads";
        ASSERT_TRUE(StandardBar(game.Frame()) != NULL);
        ::SetForegroundWindow(game.Frame());
        EXPECT_FALSE(testsupport::SaveScreenSnapshot(::GetDesktopWindow(),
                                                     nStart == 0 ? "damaged_originals" : "damaged_originals_again")
                         .empty());
        EXPECT_EQ(0, game.Close());
        EXPECT_EQ(stored, UserValue("CommandBars-ControlsNotLoaded", "Controls")) << "kept aside";
    }
    ClearSettings();
}

// A LoadFromFile flag of 2 beside an intact packed value: the player's bars
// load from the value, the stored state is kept aside, and the exit stores
// the bars with a sound flag, "Mine" and its image included.
TEST_F(Brindlemark, ADamagedLoadFromFileFlagLosesNoCustomisationAcrossExitAndRestart)
{
    int nDefaultHeight = 0;
    ImportPlayerState("damaged-load-from-file-flag.reg", &nDefaultHeight);
    const std::vector<BYTE> stored = UserValue("CommandBars-Controls", "Controls");
    ASSERT_EQ(2, testsupport::UserProfileInt("CommandBars-Controls", "LoadFromFile"));
    for (int nStart = 0; nStart < 2; nStart++)
    {
        SCOPED_TRACE(nStart == 0 ? "first start" : "restart");
        Game game;
        ASSERT_TRUE(game.Frame() != NULL);
        HWND hMine = FloatingPlayerBar(game);
        ASSERT_TRUE(hMine != NULL) << "the player's own toolbar loads";
        // The player's Standard bar, with its large icons, is taller than
        // the game's own.
        ASSERT_TRUE(StandardBar(game.Frame()) != NULL);
        const RECT rcStandard = WindowRect(StandardBar(game.Frame()));
        EXPECT_GT(rcStandard.bottom - rcStandard.top, nDefaultHeight) << "the player's Standard bar loads";
        ::SetForegroundWindow(game.Frame());
        ::SetWindowPos(hMine, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        EXPECT_FALSE(testsupport::SaveScreenSnapshot(::GetDesktopWindow(),
                                                     nStart == 0 ? "damaged_flag" : "damaged_flag_again")
                         .empty());
        EXPECT_EQ(0, game.Close());
        EXPECT_EQ(0, testsupport::UserProfileInt("CommandBars-Controls", "LoadFromFile"));
        EXPECT_EQ(stored, UserValue("CommandBars-ControlsNotLoaded", "Controls")) << "kept aside";
    }
    ClearSettings();
}

// With the stored state kept aside, the Standard bar's expand menu is opened
// with the mouse and closed: building it puts the buttons the player removed
// back as hidden ones, which is no change of the player's, and the exit
// keeps the copy aside. A button the player shows through that menu is one.
TEST_F(Brindlemark, OpeningAToolbarsExpandMenuKeepsTheKeptAsideCopy)
{
    ImportPlayerState("damaged-load-from-file-flag.reg");
    const std::vector<BYTE> stored = UserValue("CommandBars-Controls", "Controls");
    {
        Game game;
        ASSERT_TRUE(game.Frame() != NULL);
        HWND hStandard = StandardBar(game.Frame());
        ASSERT_TRUE(hStandard != NULL);
        ::SetForegroundWindow(game.Frame());
        Wait(200);
        const RECT rc = WindowRect(hStandard);
        ClickScreen({rc.right - 5, rc.bottom - 8}, false);
        HWND hExpand = WaitForPopupBar(game.Pid());
        ASSERT_TRUE(hExpand != NULL) << "the expand menu opens";
        EXPECT_FALSE(testsupport::SaveScreenSnapshot(::GetDesktopWindow(), "expand_menu_kept_aside").empty());
        PressKeys({VK_ESCAPE});
        PressKeys({VK_ESCAPE});
        for (int n = 0; n < 40 && AnyPopupBarVisible(game.Pid()); n++)
            Wait(50);
        EXPECT_FALSE(AnyPopupBarVisible(game.Pid()));
        EXPECT_EQ(0, game.Close());
    }
    EXPECT_EQ(stored, UserValue("CommandBars-ControlsNotLoaded", "Controls")) << "the kept copy stays";

    // The player shows the button removed from the bar (the first of the
    // bar's list in the same menu's Add or Remove Buttons) again: that
    // change is the player's, the exit stores it and the kept copy goes.
    int nStandardWidth = 0;
    {
        Game game;
        ASSERT_TRUE(game.Frame() != NULL);
        HWND hStandard = StandardBar(game.Frame());
        ASSERT_TRUE(hStandard != NULL);
        ::SetForegroundWindow(game.Frame());
        Wait(200);
        RECT rc = WindowRect(hStandard);
        nStandardWidth = rc.right - rc.left;
        ClickScreen({rc.right - 5, rc.bottom - 8}, false);
        HWND hExpand = WaitForPopupBar(game.Pid());
        ASSERT_TRUE(hExpand != NULL) << "the expand menu opens";
        // Add or Remove Buttons, its bar, then the bar's first button.
        for (int nLevel = 1; nLevel <= 3; nLevel++)
        {
            std::vector<HWND> popups = VisiblePopupBars(game.Pid());
            EXPECT_FALSE(testsupport::SaveScreenSnapshot(::GetDesktopWindow(),
                                                         "expand_menu_level" + std::to_string(nLevel))
                             .empty());
            ASSERT_EQ((size_t)nLevel, popups.size()) << "menu level " << nLevel;
            rc = WindowRect(popups[0]);
            ClickScreen({(rc.left + rc.right) / 2, rc.top + 12}, false);
            for (int n = 0; n < 40 && VisiblePopupBars(game.Pid()).size() == (size_t)nLevel && nLevel < 3; n++)
                Wait(50);
        }
        EXPECT_FALSE(testsupport::SaveScreenSnapshot(::GetDesktopWindow(), "expand_menu_button_shown").empty());
        for (int n = 0; n < 4 && AnyPopupBarVisible(game.Pid()); n++)
            PressKeys({VK_ESCAPE});
        EXPECT_FALSE(AnyPopupBarVisible(game.Pid()));
        rc = WindowRect(hStandard);
        EXPECT_GT(rc.right - rc.left, nStandardWidth) << "the button is shown";
        EXPECT_EQ(0, game.Close());
    }
    EXPECT_TRUE(UserValue("CommandBars-ControlsNotLoaded", "Controls").empty()) << "the player changed the bars";
    {
        Game game;
        ASSERT_TRUE(game.Frame() != NULL);
        ASSERT_TRUE(StandardBar(game.Frame()) != NULL);
        const RECT rc = WindowRect(StandardBar(game.Frame()));
        EXPECT_GT(rc.right - rc.left, nStandardWidth) << "the button stays shown";
        EXPECT_EQ(0, game.Close());
    }
    ClearSettings();
}

// View > Status Bar with the keyboard hides the status bar; after exit and
// start it is hidden, shown again the same way it stays shown after the
// next exit and start.
TEST_F(Brindlemark, TheStatusBarShownAgainStaysShownAfterExitAndStart)
{
    for (int nStart = 0; nStart < 3; nStart++)
    {
        SCOPED_TRACE(nStart);
        Game game;
        ASSERT_TRUE(game.Frame() != NULL);
        HWND hStatus = ::GetDlgItem(game.Frame(), AFX_IDW_STATUS_BAR);
        ASSERT_TRUE(hStatus != NULL);
        EXPECT_EQ(nStart != 1, ::IsWindowVisible(hStatus) != FALSE) << "as the last exit left it";
        if (nStart < 2)
        {
            ChooseWithKeys(game.Frame(), 'V', {'S'});
            for (int n = 0; n < 40 && (::IsWindowVisible(hStatus) != FALSE) != (nStart == 1); n++)
                Wait(50);
            EXPECT_EQ(nStart == 1, ::IsWindowVisible(hStatus) != FALSE) << "View > Status Bar";
        }
        EXPECT_FALSE(AnyPopupBarVisible(game.Pid()));
        EXPECT_EQ(0, game.Close());
        EXPECT_EQ(nStart == 0 ? 0 : -1, testsupport::UserProfileInt("CommandBars", "StatusBar"));
    }
    ClearSettings();
}

namespace
{
// The width of the File menu opened with Alt+F, closed again with Escape;
// 0 when it does not open.
int FileMenuWidth(const Game& game, const char* pszSnapshot)
{
    ChooseWithKeys(game.Frame(), 'F', {});
    HWND hFile = WaitForPopupBar(game.Pid());
    if (hFile == NULL)
        return 0;
    Wait(300);
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(::GetDesktopWindow(), pszSnapshot).empty());
    const RECT rc = WindowRect(hFile);
    PressKeys({VK_ESCAPE});
    PressKeys({VK_ESCAPE});
    for (int n = 0; n < 40 && AnyPopupBarVisible(game.Pid()); n++)
        Wait(50);
    return rc.right - rc.left;
}

// Whether the game's stored shortcut table is there and holds no entry.
bool StoredShortcutsEmpty()
{
    HKEY hKey = testsupport::OpenGameSection("CommandBars", false, HKEY_CURRENT_USER);
    if (hKey == NULL)
        return false;
    DWORD dwType = 0, dwSize = 1;
    LONG lResult = ::RegQueryValueExA(hKey, "Accelerators", NULL, &dwType, NULL, &dwSize);
    ::RegCloseKey(hKey);
    return lResult == ERROR_SUCCESS && dwType == REG_BINARY && dwSize == 0;
}
} // namespace

// The player removed every shortcut (an empty table is stored): at the next
// starts no shortcut shows in the menus and none works, as the keys and
// the menus agree; the default table shows and works.
TEST_F(Brindlemark, AnEmptyStoredShortcutTableShowsAndRunsNoShortcut)
{
    int nDefaultWidth = 0;
    {
        Game game;
        ASSERT_TRUE(game.Frame() != NULL);
        nDefaultWidth = FileMenuWidth(game, "file_menu_default_shortcuts");
        ASSERT_GT(nDefaultWidth, 0);
        EXPECT_EQ(0, game.Close());
    }
    DWORD dwNone = 0;
    ASSERT_TRUE(testsupport::WriteRegistryValue("CommandBars", "Accelerators", REG_BINARY, &dwNone, 0,
                                                HKEY_CURRENT_USER));
    for (int nStart = 0; nStart < 2; nStart++)
    {
        SCOPED_TRACE(nStart == 0 ? "first start" : "restart");
        Game game;
        ASSERT_TRUE(game.Frame() != NULL);
        const int nWidth = FileMenuWidth(game, nStart == 0 ? "file_menu_no_shortcuts" : "file_menu_no_shortcuts_again");
        ASSERT_GT(nWidth, 0);
        EXPECT_LT(nWidth, nDefaultWidth) << "the menu shows no shortcut";
        ::SetForegroundWindow(game.Frame());
        PressKeys({VK_CONTROL, 'N'});
        HWND hNew = WaitForWindow(game.Pid(), "New Puzzle", 1500);
        EXPECT_TRUE(hNew == NULL) << "Ctrl+N still works though no menu shows it";
        if (hNew != NULL)
        {
            ::PostMessage(hNew, WM_COMMAND, IDCANCEL, 0);
            WaitUntilGone(hNew);
        }
        EXPECT_EQ(0, game.Close());
        EXPECT_TRUE(StoredShortcutsEmpty());
    }
    ClearSettings();
}

namespace
{
// The status bar's first pane, read from the other process.
std::string StatusText(HWND hFrame)
{
    char szText[512] = "";
    HWND hStatus = ::GetDlgItem(hFrame, AFX_IDW_STATUS_BAR);
    if (hStatus != NULL)
        ::SendMessageA(hStatus, WM_GETTEXT, sizeof(szText), (LPARAM)szText);
    return szText;
}

// The status text once it is the given one, or the last read within five
// seconds: the prompt follows the menu's selection a little later.
std::string WaitForStatusText(HWND hFrame, const std::string& strText)
{
    std::string strNow = StatusText(hFrame);
    for (int n = 0; n < 100 && strNow != strText; n++)
    {
        Wait(50);
        strNow = StatusText(hFrame);
    }
    return strNow;
}

// The game's message window that is open, its text checked, answered OK.
void ExpectMessageAndAnswerOK(DWORD dwPid, const std::string& strStart, const char* pszWhen)
{
    HWND hMessage = WaitForMessageWindow(dwPid, 10000);
    ASSERT_TRUE(hMessage != NULL) << pszWhen << ": no message";
    Wait(300);
    EXPECT_EQ(0u, MessageText(hMessage).find(strStart)) << pszWhen << ": " << MessageText(hMessage);
    ClickButton(hMessage, "OK");
    EXPECT_TRUE(WaitUntilGone(hMessage)) << pszWhen;
}
} // namespace

// An own puzzle is entered from the File menu, right below New, and the
// Edit menu's Finalize Grid, where the entry's instructions send the
// player, is taken from the keyboard; each menu entry says what it does in
// the status bar.
TEST_F(Brindlemark, AnOwnPuzzleIsEnteredAndFinalizedFromTheMenus)
{
    Game game;
    ASSERT_TRUE(game.Frame() != NULL);
    HWND hFrame = game.Frame();

    // Without an entered grid Finalize Grid is disabled: its letter runs
    // nothing.
    ChooseWithKeys(hFrame, 'E', {'F'});
    Wait(500);
    EXPECT_TRUE(WaitForMessageWindow(game.Pid(), 500) == NULL) << "Finalize Grid ran on no entered grid";
    PressKeys({VK_ESCAPE});
    PressKeys({VK_ESCAPE});
    Wait(300);
    EXPECT_FALSE(AnyPopupBarVisible(game.Pid()));

    // File, Down: Enter Own Puzzle... is selected and prompts in the status
    // bar; Return opens the New Puzzle dialog.
    ChooseWithKeys(hFrame, 'F', {VK_DOWN});
    EXPECT_EQ("Enter a puzzle from elsewhere into a blank grid",
              WaitForStatusText(hFrame, "Enter a puzzle from elsewhere into a blank grid"));
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(hFrame, "file_menu_enter_own_puzzle").empty());
    PressKeys({VK_RETURN});
    HWND hNew = WaitForWindow(game.Pid(), "New Puzzle", 5000);
    ASSERT_TRUE(hNew != NULL) << "Enter Own Puzzle... opened no New Puzzle dialog";
    Wait(300);
    ClickButton(hNew, "OK");
    ASSERT_TRUE(WaitUntilGone(hNew));
    ExpectMessageAndAnswerOK(game.Pid(), "Enter clues into the blank Grid using the normal point and click method.",
                             "Enter Own Puzzle...");
    EXPECT_EQ("Untitled - Brindlemark", WindowText(hFrame));
    ::SetForegroundWindow(hFrame);
    Wait(300);
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(hFrame, "own_puzzle_blank_grid").empty());

    // Edit, F: Finalize Grid, now enabled, says the grid cannot be solved.
    ChooseWithKeys(hFrame, 'E', {});
    Wait(300);
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(hFrame, "edit_menu_with_finalize_grid").empty());
    PressKeys({'F'});
    ExpectMessageAndAnswerOK(game.Pid(), "Brindlemark could not solve the puzzle.", "Finalize Grid");

    // Edit opens on Copy (Undo is disabled); Down, Down reaches Finalize
    // Grid, which shows its prompt. Escape leaves the menu.
    ChooseWithKeys(hFrame, 'E', {VK_DOWN, VK_DOWN});
    EXPECT_EQ("Check that the entered grid can be solved and make it ready to play",
              WaitForStatusText(hFrame, "Check that the entered grid can be solved and make it ready to play"));
    PressKeys({VK_ESCAPE});
    PressKeys({VK_ESCAPE});

    ::PostMessage(hFrame, WM_CLOSE, 0, 0);
    HWND hQuestion = WaitForDialogOtherThan(game.Pid(), NULL, 2000);
    if (hQuestion != NULL)
        ClickButton(hQuestion, "Don't Save");
    EXPECT_EQ(0, game.WaitForExit());
    ClearSettings();
}

namespace
{
// Makes a puzzle from the New Puzzle dialog (Ctrl+N, OK) and waits until
// the frame is the player's again; false when that did not happen.
bool MakePuzzle(Game& game)
{
    HWND hFrame = game.Frame();
    ::SetForegroundWindow(hFrame);
    PressKeys({VK_CONTROL, 'N'});
    HWND hDialog = WaitForWindow(game.Pid(), "New Puzzle");
    if (hDialog == NULL)
        return false;
    Wait(300);
    ClickButton(hDialog, "OK");
    DWORD dwStart = ::GetTickCount();
    while ((::IsWindow(hDialog) || WaitForWindow(game.Pid(), "Create Progress", 10) != NULL) &&
           ::GetTickCount() - dwStart < 60000)
        Wait(50);
    Wait(500);
    for (int n = 0; n < 100 && (!::IsWindowEnabled(hFrame) || ::GetForegroundWindow() != hFrame); n++)
    {
        Wait(50);
        ::SetForegroundWindow(hFrame);
    }
    return ::IsWindowEnabled(hFrame) && !::IsWindow(hDialog);
}
} // namespace

// A double click on a square is two clicks: it shades and unshades (left)
// or marks and unmarks (right), so the square looks as before; a triple
// click leaves it changed.
TEST_F(Brindlemark, QuickClicksOnASquareAreEachAClick)
{
    Game game;
    ASSERT_TRUE(game.Frame() != NULL);
    HWND hFrame = game.Frame();
    ASSERT_TRUE(MakePuzzle(game));
    // A button another program left held on the display is let go first.
    INPUT release[2] = {};
    release[0].type = release[1].type = INPUT_MOUSE;
    release[0].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    release[1].mi.dwFlags = MOUSEEVENTF_RIGHTUP;
    ::SendInput(2, release, sizeof(INPUT));
    Wait(200);

    for (bool bRight : {false, true})
    {
        const char* pszButton = bRight ? "right" : "left";
        int s = 0;
        POINT pt = game.SquareCentre(9, bRight ? 6 : 2, bRight ? 6 : 2, &s);
        ASSERT_GT(s, 10);
        POINT ptCorner = {pt.x - s / 2 + s / 8, pt.y - s / 2 + s / 8};
        ::SetForegroundWindow(hFrame);
        Wait(200);
        const Patch before = ScreenPatch(ptCorner);

        // A single click changes the square; another one takes it back.
        ClickScreen(pt, bRight);
        EXPECT_TRUE(before != WaitForPatch(ptCorner, before, false)) << pszButton << ": a click changed nothing";
        Wait(600);   // longer than a double click's time
        ClickScreen(pt, bRight);
        EXPECT_TRUE(before == WaitForPatch(ptCorner, before, true)) << pszButton << ": a second click";
        Wait(600);

        // A double click: two changes, the square as before.
        ClickScreen(pt, bRight, 2);
        Wait(1000);
        EXPECT_TRUE(before == ScreenPatch(ptCorner)) << pszButton << ": the double click's second click was lost";
        Wait(600);
        // A triple click: three changes, the square changed.
        ClickScreen(pt, bRight, 3);
        EXPECT_TRUE(before != WaitForPatch(ptCorner, before, false)) << pszButton << ": a triple click";
        EXPECT_FALSE(
            testsupport::SaveScreenSnapshot(hFrame, bRight ? "after_right_triple_click" : "after_left_triple_click")
                .empty());
        Wait(600);
    }

    ::PostMessage(hFrame, WM_CLOSE, 0, 0);
    HWND hQuestion = WaitForDialogOtherThan(game.Pid(), NULL, 5000);
    ASSERT_TRUE(hQuestion != NULL) << "the moves were not asked to be saved";
    ClickButton(hQuestion, "Don't Save");
    EXPECT_EQ(0, game.WaitForExit());
    ClearSettings();
}

namespace
{
// What the screen shows of a window, pixel by pixel, leaving out its child
// windows (the clock display on the Timer toolbar).
std::vector<COLORREF> ScreenPixelsWithoutChildren(HWND hWnd)
{
    RECT rc = WindowRect(hWnd);
    const int cx = rc.right - rc.left, cy = rc.bottom - rc.top;
    testsupport::Canvas canvas(cx, cy);
    HDC hScreen = ::GetDC(NULL);
    ::BitBlt(canvas.Handle(), 0, 0, cx, cy, hScreen, rc.left, rc.top, SRCCOPY);
    ::ReleaseDC(NULL, hScreen);
    ::GdiFlush();
    std::vector<RECT> children;
    for (HWND hChild : Descendants(hWnd, "", ""))
        children.push_back(WindowRect(hChild));
    std::vector<COLORREF> pixels;
    for (int y = 0; y < cy; y++)
        for (int x = 0; x < cx; x++)
        {
            POINT pt = {rc.left + x, rc.top + y};
            bool bChild = false;
            for (const RECT& rcChild : children)
                bChild = bChild || ::PtInRect(&rcChild, pt);
            pixels.push_back(bChild ? 0 : canvas.Pixel(x, y));
        }
    return pixels;
}

bool Overlap(HWND hOne, HWND hOther)
{
    RECT rcOne = WindowRect(hOne), rcOther = WindowRect(hOther), rcBoth;
    return ::IntersectRect(&rcBoth, &rcOne, &rcOther) != FALSE;
}

struct CoverData
{
    DWORD dwPid;
    HWND hFrame;
    std::vector<HWND> bars;
    bool bCovered;
};

BOOL CALLBACK FindBarCover(HWND hWnd, LPARAM lParam)
{
    CoverData* pData = (CoverData*)lParam;
    DWORD dwPid = 0;
    ::GetWindowThreadProcessId(hWnd, &dwPid);
    if (dwPid == pData->dwPid && hWnd != pData->hFrame && ::IsWindowVisible(hWnd))
        for (HWND hBar : pData->bars)
            pData->bCovered = pData->bCovered || Overlap(hWnd, hBar);
    return TRUE;
}

// Whether another visible window of the process (the splash, a message)
// lies over one of the bars.
bool IsABarCovered(DWORD dwPid, HWND hFrame, const std::vector<HWND>& bars)
{
    CoverData data = {dwPid, hFrame, bars, false};
    ::EnumWindows(&FindBarCover, (LPARAM)&data);
    return data.bCovered;
}
} // namespace

// While the message about a puzzle named on the command line is up, the
// toolbars already show their commands' states: they look exactly as they
// do once the message is answered and the game is idle (Undo, Accept and
// Revert disabled, Play and Elapsed checked).
TEST_F(Brindlemark, TheToolbarsShowTheirTrueStatesWhileAStartUpMessageIsUp)
{
    // The pointer away from the bars, so that no button is hot.
    testsupport::SendInputs({testsupport::MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, POINT{1270, 1010})});
    char szTemp[MAX_PATH];
    ::GetTempPath(MAX_PATH, szTemp);
    const std::string strFile = std::string(szTemp) + "e2e_no_such_puzzle_bars.hti";
    ::DeleteFileA(strFile.c_str());
    PROCESS_INFORMATION pi = {};
    ASSERT_TRUE(StartGameWith(" \"" + strFile + "\"", pi));
    HWND hMessage = WaitForMessageWindow(pi.dwProcessId, 15000);
    EXPECT_TRUE(hMessage != NULL) << "no message about the file";
    HWND hFrame = WaitForWindow(pi.dwProcessId, "Untitled - Brindlemark", 10000);
    EXPECT_TRUE(hFrame != NULL);
    if (hMessage != NULL && hFrame != NULL)
    {
        // The menu bar and both toolbars; the splash goes by itself, and
        // the message, centred on the frame, leaves them uncovered.
        std::vector<HWND> bars = Descendants(hFrame, "", "XTPToolBar");
        for (HWND hBar : Descendants(hFrame, "", "XTPMenuBar"))
            bars.push_back(hBar);
        EXPECT_GE(bars.size(), 3u) << "the menu bar, Standard and Timer";
        for (int n = 0; n < 300 && IsABarCovered(pi.dwProcessId, hFrame, bars); n++)
            Wait(50);
        EXPECT_FALSE(IsABarCovered(pi.dwProcessId, hFrame, bars)) << "a window stays over the bars";
        Wait(1000);
        std::vector<std::vector<COLORREF>> during;
        for (HWND hBar : bars)
            during.push_back(ScreenPixelsWithoutChildren(hBar));
        EXPECT_TRUE(::IsWindowVisible(hMessage));
        EXPECT_FALSE(testsupport::SaveScreenSnapshot(hFrame, "bars_while_the_start_up_message_is_up").empty());
        ClickButton(hMessage, "OK");
        EXPECT_TRUE(WaitUntilGone(hMessage));
        ::SetForegroundWindow(hFrame);
        Wait(2500);   // two idle passes at least, each bar repainted
        for (size_t i = 0; i < bars.size(); i++)
        {
            const std::vector<COLORREF> after = ScreenPixelsWithoutChildren(bars[i]);
            EXPECT_EQ(after.size(), during[i].size()) << "bar " << i << " changed its size";
            if (after.size() != during[i].size())
                continue;
            int nDiffer = 0;
            for (size_t p = 0; p < after.size(); p++)
                nDiffer += after[p] != during[i][p] ? 1 : 0;
            EXPECT_EQ(0, nDiffer) << "bar " << i << ": pixels that changed once the message was answered";
        }
        EXPECT_FALSE(testsupport::SaveScreenSnapshot(hFrame, "bars_after_the_start_up_message").empty());
    }
    if (hMessage != NULL && ::IsWindow(hMessage))
        ClickButton(hMessage, "OK");
    if (hFrame != NULL)
        ::PostMessage(hFrame, WM_CLOSE, 0, 0);
    WaitForGameToEnd(pi);
    ClearSettings();
}

namespace
{
// The visible drop-down list of a property grid of the process (a top-level
// list box), waited for; NULL when none shows within the time.
HWND WaitForDropDown(DWORD dwPid, int nMilliseconds = 5000)
{
    return WaitForVisibleTopLevel(dwPid, "ListBox", nMilliseconds);
}

// The list box that is the view of the grid with the most rows among the
// frame's property grids.
HWND LargestGridView(HWND hFrame)
{
    HWND hView = NULL;
    int nMostRows = 0;
    for (HWND hGrid : Descendants(hFrame, "", "XTPPropertyGrid"))
        for (HWND hChild : Descendants(hGrid, "", ""))
        {
            char szClass[64] = "";
            ::GetClassName(hChild, szClass, sizeof(szClass));
            const int nRows = lstrcmpi(szClass, "ListBox") == 0 ? (int)::SendMessage(hChild, LB_GETCOUNT, 0, 0) : 0;
            if (nRows > nMostRows)
            {
                nMostRows = nRows;
                hView = hChild;
            }
        }
    return hView;
}
} // namespace

// In the difficulty pane, Force Complete's drop-down takes "True" when it
// is clicked: with the list open, and with the click made so soon after
// the one on the drop-down button that the list is still opening. The list
// opened again shows the value taken. The button clicked again at once
// after the list was closed with Escape (the two clicks make a double
// click) opens the list again.
TEST_F(Brindlemark, AClickOnForceCompletesListTakesTheValue)
{
    Game game;
    ASSERT_TRUE(game.Frame() != NULL);
    HWND hFrame = game.Frame();
    ASSERT_TRUE(MakePuzzle(game));
    game.Command(ID_DIFFICULTY_PANE);
    Wait(500);
    HWND hView = LargestGridView(hFrame);
    ASSERT_TRUE(hView != NULL) << "no difficulty pane";
    // The rows: name, puzzle size, the five aids, then Timer Settings with
    // Target Time and, last, Force Complete.
    const int nRow = (int)::SendMessage(hView, LB_GETCOUNT, 0, 0) - 1;
    ASSERT_EQ(13, nRow);
    RECT rcRow = {};
    ASSERT_NE(LB_ERR, (int)::SendMessage(hView, LB_GETITEMRECT, nRow, (LPARAM)&rcRow));
    POINT ptCaption = {rcRow.left + 20, (rcRow.top + rcRow.bottom) / 2};
    POINT ptButton = {rcRow.right - 6, ptCaption.y};
    ::ClientToScreen(hView, &ptCaption);
    ::ClientToScreen(hView, &ptButton);
    ::SetForegroundWindow(hFrame);
    ClickScreen(ptCaption, false);

    const auto openList = [&](const char* pszWhen) -> HWND {
        ClickScreen(ptButton, false);
        HWND hList = WaitForDropDown(game.Pid());
        EXPECT_TRUE(hList != NULL) << pszWhen << ": the drop-down button opened no list";
        return hList;
    };
    const auto closeList = [&](HWND hList) {
        ::PostMessage(hList, WM_KEYDOWN, VK_ESCAPE, 0);
        WaitUntilGone(hList, 3000);
        for (int n = 0; n < 60 && ::IsWindowVisible(hList); n++)
            Wait(50);
    };
    // Opened at once after the last list was closed: a double click on the
    // button.
    const auto setFalse = [&]() {
        HWND hList = openList("back to False");
        if (hList == NULL)
            return;
        RECT rcFalse = {};
        ::SendMessage(hList, LB_GETITEMRECT, 1, (LPARAM)&rcFalse);
        POINT ptFalse = {(rcFalse.left + rcFalse.right) / 2, (rcFalse.top + rcFalse.bottom) / 2};
        ::ClientToScreen(hList, &ptFalse);
        ClickScreen(ptFalse, false);
        Wait(300);
    };

    // The list opens on False; a click on True takes it.
    HWND hList = openList("first");
    ASSERT_TRUE(hList != NULL);
    EXPECT_EQ(1, (int)::SendMessage(hList, LB_GETCURSEL, 0, 0)) << "Force Complete starts False";
    RECT rcTrue = {};
    ASSERT_NE(LB_ERR, (int)::SendMessage(hList, LB_GETITEMRECT, 0, (LPARAM)&rcTrue));
    POINT ptTrue = {(rcTrue.left + rcTrue.right) / 2, (rcTrue.top + rcTrue.bottom) / 2};
    ::ClientToScreen(hList, &ptTrue);
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(hFrame, "force_complete_drop_down").empty());
    ClickScreen(ptTrue, false);
    Wait(500);
    EXPECT_FALSE(::IsWindowVisible(hList)) << "the click left the list open";
    hList = openList("after the click on True");
    ASSERT_TRUE(hList != NULL);
    EXPECT_EQ(0, (int)::SendMessage(hList, LB_GETCURSEL, 0, 0)) << "the click on True was lost";
    closeList(hList);

    // Clicks on the button and on True made at once, several times.
    for (int nTry = 0; nTry < 4; nTry++)
    {
        setFalse();
        hList = openList("False taken");
        ASSERT_TRUE(hList != NULL);
        EXPECT_EQ(1, (int)::SendMessage(hList, LB_GETCURSEL, 0, 0)) << "try " << nTry << ": False was not taken";
        closeList(hList);
        ::SetForegroundWindow(hFrame);
        Wait(300);
        using testsupport::MouseInput;
        const DWORD dwAt = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        testsupport::SendInputs({MouseInput(dwAt, ptButton), MouseInput(dwAt | MOUSEEVENTF_LEFTDOWN, ptButton),
                                 MouseInput(dwAt | MOUSEEVENTF_LEFTUP, ptButton), MouseInput(dwAt, ptTrue),
                                 MouseInput(dwAt | MOUSEEVENTF_LEFTDOWN, ptTrue),
                                 MouseInput(dwAt | MOUSEEVENTF_LEFTUP, ptTrue)});
        Wait(800);
        HWND hLeft = WaitForDropDown(game.Pid(), 100);
        EXPECT_TRUE(hLeft == NULL) << "try " << nTry << ": the list stays open";
        if (hLeft != NULL)
            closeList(hLeft);
        hList = openList("after the quick clicks");
        ASSERT_TRUE(hList != NULL);
        EXPECT_EQ(0, (int)::SendMessage(hList, LB_GETCURSEL, 0, 0)) << "try " << nTry << ": the quick click was lost";
        closeList(hList);
    }

    ::PostMessage(hFrame, WM_CLOSE, 0, 0);
    HWND hQuestion = WaitForDialogOtherThan(game.Pid(), NULL, 5000);
    if (hQuestion != NULL)
        ClickButton(hQuestion, "Don't Save");
    EXPECT_EQ(0, game.WaitForExit());
    ClearSettings();
}

namespace
{
// The visible system menus (Wine's menu windows) of the game.
size_t VisibleSystemMenus(DWORD dwPid)
{
    size_t nVisible = 0;
    for (HWND hWnd : TopLevels(dwPid, "#32768"))
        nVisible += ::IsWindowVisible(hWnd) ? 1 : 0;
    return nVisible;
}

// TRUE when the game's keyboard focus is the window or lies inside it.
bool HasFocusIn(HWND hFrame, HWND hWnd)
{
    HWND hFocus = FocusOf(hFrame);
    return hFocus != NULL && (hFocus == hWnd || ::IsChild(hWnd, hFocus));
}

// A point in the lower part of a window: in a profile pane, the grid's
// empty area or its last rows.
POINT LowerMiddle(HWND hWnd)
{
    RECT rc;
    ::GetWindowRect(hWnd, &rc);
    return {(rc.left + rc.right) / 2, rc.bottom - 30};
}
} // namespace

// The keys after a click inside a floating profile pane: the pane's window
// belongs to the game's frame, so Alt, then Down, opens the game's File menu
// (not the system menu of the pane's window), and Alt+F4 closes the game as
// from the frame.
TEST_F(Brindlemark, AfterAClickInAFloatingPaneAltOpensTheFileMenuAndAltF4ClosesTheGame)
{
    testsupport::Watchdog watchdog("keys in a floating pane", 120000);
    Game game;
    ASSERT_TRUE(game.Frame() != NULL);
    watchdog.AlsoEnd(game.Process());
    HWND hFrame = game.Frame();
    ::SetForegroundWindow(hFrame);
    Wait(200);
    ASSERT_TRUE(FloatPaneContainer(game, ID_DIFFICULTY_PANE));
    HWND hMini = FloatingPane(game);
    ASSERT_TRUE(hMini != NULL);
    const POINT ptInPane = LowerMiddle(hMini);

    ClickScreen(ptInPane, false);
    EXPECT_TRUE(HasFocusIn(hFrame, hMini)) << "the click gives the pane the keyboard";
    PressKeys({VK_MENU});
    PressKeys({VK_DOWN});
    HWND hMenu = WaitForPopupBar(game.Pid());
    EXPECT_TRUE(hMenu != NULL) << "Alt, then Down, opens the File menu";
    EXPECT_EQ(0u, VisibleSystemMenus(game.Pid())) << "the pane's system menu opened";
    if (hMenu != NULL)
        EXPECT_FALSE(testsupport::SaveScreenSnapshot(hFrame, "file_menu_from_a_floating_pane").empty());
    PressKeys({VK_ESCAPE});
    PressKeys({VK_ESCAPE});
    Wait(300);
    EXPECT_EQ(0u, VisibleSystemMenus(game.Pid()));

    ClickScreen(ptInPane, false);
    EXPECT_TRUE(HasFocusIn(hFrame, hMini));
    PressKeys({VK_MENU, VK_F4});
    EXPECT_EQ(0, game.WaitForExit()) << "Alt+F4 in the floating pane closes the game";
    ClearSettings();
}

// Every click on the board takes the keyboard back from a profile pane
// clicked before it, not only the first; and a pane slid out of its
// auto-hide tab and clicked slides back in once the board is clicked.
TEST_F(Brindlemark, EveryClickOnTheBoardTakesTheKeyboardBackFromAProfilePane)
{
    testsupport::Watchdog watchdog("clicks between a pane and the board", 120000);
    StoreOnlyDifficultyProfile(5, 0, false);
    Game game;
    ASSERT_TRUE(game.Frame() != NULL);
    watchdog.AlsoEnd(game.Process());
    HWND hFrame = game.Frame();
    ASSERT_TRUE(MakePuzzleWithCtrlN(game));
    ChooseProfilePaneEntry(game, true);
    std::vector<HWND> containers = VisibleDescendants(hFrame, "XTPDockingPaneTabbedContainer");
    ASSERT_EQ(1u, containers.size()) << "the difficulty pane did not open";
    std::vector<HWND> grids = VisibleDescendants(hFrame, "XTPPropertyGrid");
    ASSERT_EQ(1u, grids.size());
    // The board's margin, right of its squares.
    RECT rcView;
    ::GetWindowRect(game.View(), &rcView);
    const POINT ptBoard = {rcView.right - 25, (rcView.top + rcView.bottom) / 2};

    for (int i = 0; i < 3; i++)
    {
        ClickScreen(LowerMiddle(grids[0]), false);
        EXPECT_TRUE(HasFocusIn(hFrame, containers[0])) << "click " << i << " in the pane";
        ClickScreen(ptBoard, false);
        EXPECT_EQ(game.View(), FocusOf(hFrame)) << "click " << i << " on the board";
    }

    // Pinned away, slid out by a click on its tab, clicked inside, then the
    // board: the pane slides back in.
    ClickPin(containers[0]);
    ASSERT_EQ(0u, VisibleDescendants(hFrame, "XTPPropertyGrid").size()) << "the pin did not hide the pane";
    std::vector<HWND> panels = VisibleDescendants(hFrame, "XTPDockingPaneAutoHidePanel");
    ASSERT_EQ(1u, panels.size());
    RECT rcPanel;
    ::GetWindowRect(panels[0], &rcPanel);
    ClickScreen({(rcPanel.left + rcPanel.right) / 2, rcPanel.top + 40}, false);
    grids = VisibleDescendants(hFrame, "XTPPropertyGrid");
    ASSERT_EQ(1u, grids.size()) << "the tab's click did not slide the pane out";
    ClickScreen(LowerMiddle(grids[0]), false);
    EXPECT_TRUE(HasFocusIn(hFrame, grids[0])) << "the click in the slid-out pane";
    ClickScreen(ptBoard, false);
    EXPECT_EQ(game.View(), FocusOf(hFrame)) << "the board after the slid-out pane";
    bool bSlidIn = false;
    for (int n = 0; n < 100 && !bSlidIn; n++)
    {
        bSlidIn = VisibleDescendants(hFrame, "XTPPropertyGrid").empty();
        if (!bSlidIn)
            Wait(50);
    }
    EXPECT_TRUE(bSlidIn) << "the pane stays out after the board was clicked";
    ::PostMessage(hFrame, WM_CLOSE, 0, 0);
    HWND hQuestion = WaitForDialogOtherThan(game.Pid(), NULL, 3000);
    if (hQuestion != NULL)
        ClickButton(hQuestion, "Don't Save");
    EXPECT_EQ(0, game.WaitForExit());
    ClearSettings();
}

namespace
{
// Stores a difficulty profile of the given size last in the player's list;
// the New Puzzle dialog then offers it last.
void AddSizedProfile(const char* pszName, int nColumns, int nRows)
{
    g_ApplicationInfo.m_GradeInfoList.LoadFromRegistry();
    CGradeInfo grade = CGradeInfo::MakeEasyProfile();
    grade.m_strProfileName = pszName;
    grade.m_nColumns = nColumns;
    grade.m_nRows = nRows;
    g_ApplicationInfo.m_GradeInfoList.AddProfile(grade);
    ASSERT_TRUE(g_ApplicationInfo.m_GradeInfoList.SaveToRegistry());
}

// Chooses the last difficulty profile in a New Puzzle dialog and presses OK.
void ChooseLastProfile(HWND hDialog)
{
    HWND hGrades = ::GetDlgItem(hDialog, IDC_DIFFICULTY_PROFILE);
    const int nGrades = (int)::SendMessage(hGrades, CB_GETCOUNT, 0, 0);
    ::SendMessage(hGrades, CB_SETCURSEL, nGrades - 1, 0);
    ClickButton(hDialog, "OK");
}
} // namespace

// Ctrl+O, "kb1" typed and Enter opens kb1.hti of the folder the dialog
// shows, as the open dialog's default extension promises.
TEST_F(Brindlemark, ANameTypedWithoutItsExtensionOpensThePuzzle)
{
    char szTemp[MAX_PATH];
    ::GetTempPath(MAX_PATH, szTemp);
    const std::string strFolder = std::string(szTemp) + "e2e_open_folder";
    ::CreateDirectory(strFolder.c_str(), NULL);
    const std::string strFile = strFolder + "\\kb1.hti";
    {
        CHTGenerator generator;
        CHTDataContainer puzzle;
        while (!generator.Generate(NULL, 9, 9, &puzzle))
            ;
        ASSERT_TRUE(puzzle.WriteToFile(strFile.c_str()));
    }
    Game game;
    ASSERT_TRUE(game.Frame() != NULL);
    HWND hFrame = game.Frame();
    ::SetForegroundWindow(hFrame);
    Wait(200);
    PressKeys({VK_CONTROL, 'O'});
    HWND hOpen = WaitForWindow(game.Pid(), "Open", 5000);
    ASSERT_TRUE(hOpen != NULL);
    Wait(500);
    HWND hName = ::GetDlgItem(hOpen, 0x47c);
    if (hName == NULL)
        hName = ::GetDlgItem(hOpen, 0x480);
    ASSERT_TRUE(hName != NULL);
    // The dialog goes to the folder (it opens in the one used last), then
    // the player clicks into the empty name box and types.
    ::SendMessage(hName, WM_SETTEXT, 0, (LPARAM)strFolder.c_str());
    ::PostMessage(hOpen, WM_COMMAND, IDOK, 0);
    Wait(800);
    ASSERT_TRUE(::IsWindow(hOpen));
    ::SendMessage(hName, WM_SETTEXT, 0, (LPARAM)"");
    ::SetForegroundWindow(hOpen);
    RECT rcName;
    ::GetWindowRect(hName, &rcName);
    ClickScreen(POINT{rcName.left + 20, (rcName.top + rcName.bottom) / 2}, false);
    Wait(200);
    for (WORD vk : {'K', 'B', '1'})
        PressKeys({vk});
    Wait(200);
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(hOpen, "open_dialog_name_without_extension").empty());
    PressKeys({VK_RETURN});
    char szTitle[256] = "";
    for (int n = 0; n < 200 && strcmp(szTitle, "kb1.hti - Brindlemark") != 0; n++)
    {
        Wait(50);
        ::GetWindowText(hFrame, szTitle, sizeof(szTitle));
    }
    EXPECT_STREQ("kb1.hti - Brindlemark", szTitle);
    HWND hMessage = WaitForDialogOtherThan(game.Pid(), NULL, 300);
    EXPECT_TRUE(hMessage == NULL) << "a message came up: " << WindowText(hMessage);
    if (hMessage != NULL)
        ::PostMessage(hMessage, WM_COMMAND, IDCANCEL, 0);
    if (::IsWindow(hOpen))
        ::PostMessage(hOpen, WM_COMMAND, IDCANCEL, 0);
    // The clock has run on the loaded puzzle: the game asks to save it.
    ::PostMessage(hFrame, WM_CLOSE, 0, 0);
    HWND hQuestion = WaitForDialogOtherThan(game.Pid(), NULL, 5000);
    if (hQuestion != NULL)
        ClickButton(hQuestion, "Don't Save");
    EXPECT_EQ(0, game.WaitForExit());
    ::DeleteFile(strFile.c_str());
    ::RemoveDirectory(strFolder.c_str());
    ClearSettings();
}

namespace
{
// A 4 x 4 puzzle with one solution, by rows, and that solution.
const char* const kOwnPuzzle[4] = {"1422", "2334", "1442", "4131"};
const char* const kOwnSolution[4] = {"#..#", "..#.", ".#..", "...#"};

// Enters the numbers of the rows with real clicks on a 4 x 4 board: 1 and 2
// by left clicks up from blank, 3 and 4 by right clicks down from blank.
void ClickNumbers(Game& game, int nFirstRow, int nLastRow)
{
    for (int r = nFirstRow; r <= nLastRow; r++)
    {
        for (int c = 0; c < 4; c++)
        {
            const int n = kOwnPuzzle[r][c] - '0';
            const POINT pt = game.SquareCentre(4, c, r);
            const bool bRight = n > 2;
            for (int i = 0; i < (bRight ? 5 - n : n); i++)
            {
                ClickScreen(pt, bRight);
                Wait(60);
            }
        }
    }
}

// The puzzle file as the game wrote it.
bool ReadPuzzle(const std::string& strPath, CHTDataContainer& puzzle)
{
    return puzzle.ReadFromFile(strPath.c_str(), TRUE) != FALSE;
}

std::string NumbersOfRow(const CHTDataContainer& puzzle, int r)
{
    std::string strRow;
    for (int c = 0; c < puzzle.m_nColumns; c++)
    {
        const int n = puzzle.FindSquare(c, r)->m_nNumber;
        strRow += n == HT_NO_NUMBER ? '.' : (char)('0' + n);
    }
    return strRow;
}

// Waits until the frame's title is the given one; the title read last.
std::string WaitForTitle(HWND hFrame, const std::string& strTitle)
{
    std::string strNow = WindowText(hFrame);
    for (int n = 0; n < 200 && strNow != strTitle; n++)
    {
        Wait(50);
        strNow = WindowText(hFrame);
    }
    return strNow;
}
} // namespace

// An own puzzle is typed into the blank grid with clicks (left up, right
// down, Ctrl+Z takes a click back), saved half done and loaded again in the
// entry, finished, finalized from the Edit menu and then played: the saved
// file holds the puzzle with its solution, and Show Solution ends in the
// solved question.
TEST_F(Brindlemark, AnOwnPuzzleIsClickedInSavedLoadedFinalizedAndSolved)
{
    AddSizedProfile("Four", 4, 4);
    char szTemp[MAX_PATH];
    ::GetTempPath(MAX_PATH, szTemp);
    const std::string strFile = std::string(szTemp) + "e2e_own.hti";
    ::DeleteFile(strFile.c_str());
    {
        Game game;
        ASSERT_TRUE(game.Frame() != NULL);
        HWND hFrame = game.Frame();
        game.Command(ID_PUZZLE_ENTER_OWN);
        HWND hNew = WaitForWindow(game.Pid(), "New Puzzle", 5000);
        ASSERT_TRUE(hNew != NULL);
        Wait(300);
        ChooseLastProfile(hNew);
        ASSERT_TRUE(WaitUntilGone(hNew));
        ExpectMessageAndAnswerOK(game.Pid(), "Enter clues into the blank Grid", "Enter Own Puzzle...");
        ::SetForegroundWindow(hFrame);
        Wait(300);

        // The first two rows, and a click on the third taken back.
        ClickNumbers(game, 0, 1);
        int s = 0;
        const POINT ptTaken = game.SquareCentre(4, 0, 2, &s);
        const POINT ptCorner = {ptTaken.x - s / 4, ptTaken.y - s / 4};
        const Patch blank = ScreenPatch(ptCorner);
        ClickScreen(ptTaken, false);
        EXPECT_TRUE(blank != WaitForPatch(ptCorner, blank, false)) << "the number did not show";
        EXPECT_FALSE(testsupport::SaveScreenSnapshot(hFrame, "own_puzzle_half_entered").empty());
        ::SetForegroundWindow(hFrame);
        PressKeys({VK_CONTROL, 'Z'});
        EXPECT_TRUE(blank == WaitForPatch(ptCorner, blank, true)) << "Ctrl+Z";

        // Ctrl+S saves the grid in the entry.
        ::SetForegroundWindow(hFrame);
        PressKeys({VK_CONTROL, 'S'});
        HWND hSave = WaitForWindow(game.Pid(), "Save As", 5000);
        ASSERT_TRUE(hSave != NULL);
        Wait(300);
        HWND hName = ::GetDlgItem(hSave, 0x47c);
        if (hName == NULL)
            hName = ::GetDlgItem(hSave, 0x480);
        ASSERT_TRUE(hName != NULL);
        ::SendMessage(hName, WM_SETTEXT, 0, (LPARAM)strFile.c_str());
        ::PostMessage(hSave, WM_COMMAND, IDOK, 0);
        EXPECT_EQ("e2e_own.hti - Brindlemark", WaitForTitle(hFrame, "e2e_own.hti - Brindlemark"));
        EXPECT_EQ(0, game.Close());
    }
    CHTDataContainer saved;
    ASSERT_TRUE(ReadPuzzle(strFile, saved));
    EXPECT_EQ(htgsCopyMode, saved.m_nGameState);
    EXPECT_EQ(kOwnPuzzle[0], NumbersOfRow(saved, 0));
    EXPECT_EQ(kOwnPuzzle[1], NumbersOfRow(saved, 1));
    EXPECT_EQ("....", NumbersOfRow(saved, 2));

    {
        // Loaded again: still the entry. The last rows, then Edit, F.
        Game game(" \"" + strFile + "\"", "e2e_own.hti - Brindlemark");
        ASSERT_TRUE(game.Frame() != NULL);
        HWND hFrame = game.Frame();
        ::SetForegroundWindow(hFrame);
        Wait(300);
        ClickNumbers(game, 2, 3);
        ::SetForegroundWindow(hFrame);
        ChooseWithKeys(hFrame, 'E', {});
        Wait(300);
        PressKeys({'F'});
        Wait(800);
        HWND hMessage = WaitForMessageWindow(game.Pid(), 500);
        EXPECT_TRUE(hMessage == NULL) << "Finalize Grid: " << (hMessage ? MessageText(hMessage) : "");
        if (hMessage != NULL)
            ClickButton(hMessage, "OK");
        EXPECT_FALSE(testsupport::SaveScreenSnapshot(hFrame, "own_puzzle_finalized").empty());
        ::SetForegroundWindow(hFrame);
        PressKeys({VK_CONTROL, 'S'});
        Wait(800);

        // Show Solution, Yes: the puzzle is solved; No to another.
        game.Command(ID_SHOW_SOLUTION);
        HWND hSure = WaitForMessageWindow(game.Pid(), 5000);
        ASSERT_TRUE(hSure != NULL);
        Wait(300);
        ClickButton(hSure, "Yes, please");
        ASSERT_TRUE(WaitUntilGone(hSure));
        HWND hSolved = WaitForMessageWindow(game.Pid(), 5000);
        ASSERT_TRUE(hSolved != NULL) << "no solved question";
        Wait(300);
        EXPECT_EQ(0u, MessageText(hSolved).find("The current puzzle has been solved."));
        ClickButton(hSolved, "No, thanks");
        ASSERT_TRUE(WaitUntilGone(hSolved));
        EXPECT_FALSE(testsupport::SaveScreenSnapshot(hFrame, "own_puzzle_solution").empty());
        ::PostMessage(hFrame, WM_CLOSE, 0, 0);
        HWND hQuestion = WaitForDialogOtherThan(game.Pid(), NULL, 3000);
        if (hQuestion != NULL)
            ClickButton(hQuestion, "Don't Save");
        EXPECT_EQ(0, game.WaitForExit());
    }
    CHTDataContainer played;
    ASSERT_TRUE(ReadPuzzle(strFile, played));
    EXPECT_EQ(htgsPlaying, played.m_nGameState);
    for (int r = 0; r < 4; r++)
    {
        EXPECT_EQ(kOwnPuzzle[r], NumbersOfRow(played, r));
        std::string strSolution;
        for (int c = 0; c < 4; c++)
            strSolution += played.FindSquare(c, r)->m_nSolutionState == htsShaded ? '#' : '.';
        EXPECT_EQ(kOwnSolution[r], strSolution) << "row " << r;
    }
    EXPECT_FALSE(played.HasPlayerProgress()) << "play starts from a blank board";
    ::DeleteFile(strFile.c_str());
    ClearSettings();
}

namespace
{
// The screen pixels of a window's column, a few pixels in from its left edge.
Patch WindowColumn(HWND hWnd, int nInset)
{
    RECT rc;
    ::GetWindowRect(hWnd, &rc);
    Patch column;
    HDC hScreen = ::GetDC(NULL);
    for (int y = rc.top + nInset; y < rc.bottom - nInset; y++)
        column.push_back(::GetPixel(hScreen, rc.left + nInset, y));
    ::ReleaseDC(NULL, hScreen);
    return column;
}

int Differences(const Patch& a, const Patch& b)
{
    int n = 0;
    for (size_t i = 0; i < a.size() && i < b.size(); i++)
        n += a[i] != b[i];
    return n;
}
} // namespace

// Tabbing through the New Puzzle dialog: the push button that has the focus
// shows the focus rectangle, so a keyboard player sees what Space presses.
TEST_F(Brindlemark, TheFocusedPushButtonShowsItsFocusRectangle)
{
    Game game;
    ASSERT_TRUE(game.Frame() != NULL);
    ::SetForegroundWindow(game.Frame());
    PressKeys({VK_CONTROL, 'N'});
    HWND hDialog = WaitForWindow(game.Pid(), "New Puzzle");
    ASSERT_TRUE(hDialog != NULL);
    Wait(300);
    const std::vector<HWND> ok = Descendants(hDialog, "OK", "");
    const std::vector<HWND> cancel = Descendants(hDialog, "Cancel", "");
    ASSERT_FALSE(ok.empty());
    ASSERT_FALSE(cancel.empty());
    // Both unfocused first: the focus starts in the lists.
    ::SetForegroundWindow(hDialog);
    for (int n = 0; n < 10 && (FocusOf(hDialog) == ok[0] || FocusOf(hDialog) == cancel[0]); n++)
    {
        PressKeys({VK_TAB});
        Wait(150);
    }
    const Patch okPlain = WindowColumn(ok[0], 4), cancelPlain = WindowColumn(cancel[0], 4);
    for (int n = 0; n < 10 && FocusOf(hDialog) != ok[0]; n++)
    {
        PressKeys({VK_TAB});
        Wait(150);
    }
    ASSERT_EQ(ok[0], FocusOf(hDialog)) << "Tab never reached OK";
    Wait(300);
    EXPECT_GT(Differences(okPlain, WindowColumn(ok[0], 4)), 3) << "no focus rectangle on OK";
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(hDialog, "new_puzzle_focus_on_ok").empty());
    for (int n = 0; n < 10 && FocusOf(hDialog) != cancel[0]; n++)
    {
        PressKeys({VK_TAB});
        Wait(150);
    }
    ASSERT_EQ(cancel[0], FocusOf(hDialog)) << "Tab never reached Cancel";
    Wait(300);
    EXPECT_GT(Differences(cancelPlain, WindowColumn(cancel[0], 4)), 3) << "no focus rectangle on Cancel";
    EXPECT_EQ(0, Differences(okPlain, WindowColumn(ok[0], 4))) << "OK kept its focus rectangle";
    PressKeys({VK_ESCAPE});
    EXPECT_TRUE(WaitUntilGone(hDialog));
    EXPECT_EQ(0, game.Close());
    ClearSettings();
}

namespace
{
// Slows another program's thread down to about a tenth of its speed while
// it lives: suspended 18 ms of every 20.
class ThreadBrake
{
public:
    explicit ThreadBrake(HWND hWndOfThread)
        : m_hThread(::OpenThread(THREAD_SUSPEND_RESUME, FALSE, ::GetWindowThreadProcessId(hWndOfThread, NULL))),
          m_bStop(false), m_hWorker(NULL)
    {
        if (m_hThread != NULL)
            m_hWorker = ::CreateThread(NULL, 0, &Run, this, 0, NULL);
    }
    ~ThreadBrake()
    {
        m_bStop = true;
        if (m_hWorker != NULL)
        {
            ::WaitForSingleObject(m_hWorker, 5000);
            ::CloseHandle(m_hWorker);
        }
        if (m_hThread != NULL)
            ::CloseHandle(m_hThread);
    }
    bool IsOn() const { return m_hWorker != NULL; }

private:
    static DWORD WINAPI Run(LPVOID pParam)
    {
        ThreadBrake* pThis = (ThreadBrake*)pParam;
        while (!pThis->m_bStop)
        {
            ::SuspendThread(pThis->m_hThread);
            ::Sleep(18);
            ::ResumeThread(pThis->m_hThread);
            ::Sleep(2);
        }
        return 0;
    }
    HANDLE m_hThread;
    volatile bool m_bStop;
    HANDLE m_hWorker;
};
} // namespace

// A puzzle that takes a while to make shows the progress window with its
// shaded bar: a border round the bar, and diagonal stripes that move. The
// largest grid is made with the game slowed down, so that the window shows
// long enough to be read from the screen.
TEST_F(Brindlemark, TheProgressWindowShowsItsBorderedMovingBar)
{
    AddSizedProfile("Huge", HT_MAX_GRID_SIDE, HT_MAX_GRID_SIDE);
    Game game;
    ASSERT_TRUE(game.Frame() != NULL);
    HWND hFrame = game.Frame();
    ::SetForegroundWindow(hFrame);
    PressKeys({VK_CONTROL, 'N'});
    HWND hDialog = WaitForWindow(game.Pid(), "New Puzzle");
    ASSERT_TRUE(hDialog != NULL);
    Wait(300);
    HWND hProgress = NULL;
    Patch first, second;
    COLORREF clrBorder = 0;
    int nFrameOff = 0;
    RECT rcBar = {};
    {
        ChooseLastProfile(hDialog);
        ASSERT_TRUE(WaitUntilGone(hDialog));
        ThreadBrake brake(hFrame);
        ASSERT_TRUE(brake.IsOn());
        const DWORD dwStart = ::GetTickCount();
        while (hProgress == NULL && ::GetTickCount() - dwStart < 10000)
        {
            HWND hFound = ::FindWindowA(NULL, "Create Progress");
            if (hFound != NULL && ::IsWindowVisible(hFound))
                hProgress = hFound;
            else
                ::Sleep(5);
        }
        ASSERT_TRUE(hProgress != NULL) << "the progress window did not show";
        HWND hBar = ::GetDlgItem(hProgress, IDC_CREATE_PROGRESS_BAR);
        ASSERT_TRUE(hBar != NULL);
        ::GetWindowRect(hBar, &rcBar);
        ::Sleep(400);
        const POINT ptBar = {rcBar.left + 30, rcBar.top + 3};
        first = ScreenPatch(ptBar);
        // The frame: the top row and the left column of the bar's window in
        // one colour (the stripes cross both where there is no frame).
        HDC hScreen = ::GetDC(NULL);
        clrBorder = ::GetPixel(hScreen, rcBar.left, rcBar.top);
        for (int x = rcBar.left; x < rcBar.right; x++)
            nFrameOff += ::GetPixel(hScreen, x, rcBar.top) != clrBorder;
        for (int y = rcBar.top; y < rcBar.bottom; y++)
            nFrameOff += ::GetPixel(hScreen, rcBar.left, y) != clrBorder;
        ::ReleaseDC(NULL, hScreen);
        ::Sleep(400);
        second = ScreenPatch(ptBar);
        ASSERT_TRUE(::IsWindowVisible(hProgress)) << "the puzzle was made before the bar could be read";
        testsupport::SaveScreenSnapshot(hProgress, "progress_window_new_puzzle");
    }
    int nFace = 0;
    for (COLORREF clr : first)
        nFace += clr == ::GetSysColor(COLOR_BTNFACE);
    EXPECT_LT(nFace, (int)first.size() / 2) << "the bar shows the dialog's face";
    EXPECT_NE(::GetSysColor(COLOR_BTNFACE), clrBorder) << "no border round the bar";
    EXPECT_EQ(0, nFrameOff) << "no border round the bar";
    EXPECT_TRUE(first != second) << "the stripes stood still";

    for (int n = 0; n < 200 && ::IsWindowVisible(hProgress); n++)
        Wait(50);
    ::PostMessage(hFrame, WM_CLOSE, 0, 0);
    HWND hQuestion = WaitForDialogOtherThan(game.Pid(), NULL, 5000);
    if (hQuestion != NULL)
        ClickButton(hQuestion, "Don't Save");
    EXPECT_EQ(0, game.WaitForExit());
    ClearSettings();
}

namespace
{
// The height of one line of the status font, which the tips use.
int TipLineHeight()
{
    NONCLIENTMETRICSA ncm = {};
    ncm.cbSize = 340; // the layout without the padded-border field
    ::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, ncm.cbSize, &ncm, 0);
    HFONT hFont = ::CreateFontIndirectA(&ncm.lfStatusFont);
    HDC hScreen = ::GetDC(NULL);
    HGDIOBJ hOld = ::SelectObject(hScreen, hFont);
    TEXTMETRICA tm = {};
    ::GetTextMetricsA(hScreen, &tm);
    ::SelectObject(hScreen, hOld);
    ::ReleaseDC(NULL, hScreen);
    ::DeleteObject(hFont);
    return tm.tmHeight;
}

// Hovers the point until the game shows a tip; expects one line of text
// (no empty title band above it) and gives the tip's text.
std::string ExpectOneLineTipAt(const Game& game, POINT pt, const char* pszWhat)
{
    HWND hTip = testsupport::HoverUntilToolTip(pt, [] { Wait(1); }, game.Pid());
    EXPECT_TRUE(hTip != NULL) << "no tip over " << pszWhat;
    if (hTip == NULL)
        return std::string();
    char szText[256] = "";
    ::GetWindowTextA(hTip, szText, sizeof(szText));
    RECT rcTip = WindowRect(hTip);
    const int cyLine = TipLineHeight();
    EXPECT_LT(rcTip.bottom - rcTip.top, 2 * cyLine)
        << pszWhat << ": a tip " << rcTip.right - rcTip.left << " x " << rcTip.bottom - rcTip.top
        << " for one line of " << cyLine;
    const std::string strShot = std::string("one_line_tip_") + pszWhat;
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(game.Frame(), strShot.c_str()).empty());
    // Away over the board: the tip goes.
    RECT rcView = WindowRect(game.View());
    ::SetCursorPos((rcView.left + rcView.right) / 2, (rcView.top + rcView.bottom) / 2);
    for (int n = 0; n < 100 && testsupport::VisibleToolTip(game.Pid()) != NULL; n++)
        Wait(20);
    return szText;
}
} // namespace

// The tips of a docked pane's caption buttons and of the tabs of two panes
// tabbed together are one line high, with no empty title band.
TEST_F(Brindlemark, PaneButtonAndTabTipsAreOneLineHigh)
{
    Game game;
    ASSERT_TRUE(game.Frame() != NULL);
    HWND hFrame = game.Frame();
    ChooseProfilePaneEntry(game, false);
    std::vector<HWND> containers = VisibleDescendants(hFrame, "XTPDockingPaneTabbedContainer");
    ASSERT_EQ(1u, containers.size()) << "the appearance pane did not open";
    ::SetForegroundWindow(hFrame);
    Wait(300);
    // The pin at the right end of the caption.
    RECT rc = WindowRect(containers[0]);
    ExpectOneLineTipAt(game, {rc.right - 12, rc.top + 11}, "pin");

    // Both panes tabbed together: the tab row along the group's bottom.
    ChooseProfilePaneEntry(game, true);
    containers = VisibleDescendants(hFrame, "XTPDockingPaneTabbedContainer");
    ASSERT_EQ(2u, containers.size());
    RECT rcA = WindowRect(containers[0]), rcB = WindowRect(containers[1]);
    const RECT rcDifficulty = rcA.left < rcB.left ? rcA : rcB;
    const RECT rcAppearance = rcA.left < rcB.left ? rcB : rcA;
    DragScreen({rcDifficulty.left + 30, rcDifficulty.top + 8}, {rcAppearance.left + 40, rcAppearance.top + 8});
    Wait(500);
    HWND hGroup = TheGroup(game);
    ASSERT_TRUE(hGroup != NULL) << "the panes were not tabbed together";
    ::SetForegroundWindow(hFrame);
    Wait(300);
    RECT rcGroup = WindowRect(hGroup);
    ExpectOneLineTipAt(game, {rcGroup.left + 25, rcGroup.bottom - 10}, "tab");
    EXPECT_EQ(0, game.Close());
    ClearSettings();
}

// With another program's window in front, a click on the game's status bar
// brings the game to the front, as a click anywhere else on it does.
TEST_F(Brindlemark, AClickOnTheStatusBarBringsTheGameToTheFront)
{
    Game game;
    ASSERT_TRUE(game.Frame() != NULL);
    HWND hFrame = game.Frame();
    HWND hStatus = ::GetDlgItem(hFrame, AFX_IDW_STATUS_BAR);
    ASSERT_TRUE(hStatus != NULL && ::IsWindowVisible(hStatus));

    // The other program: a window of the test's own, in front.
    HWND hOther = ::CreateWindowExA(0, "STATIC", "Another program", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 240,
                                    160, NULL, NULL, ::GetModuleHandle(NULL), NULL);
    ASSERT_TRUE(hOther != NULL);
    for (int nTry = 0; nTry < 2; nTry++)
    {
        SCOPED_TRACE(nTry);
        ::SetForegroundWindow(hOther);
        for (int n = 0; n < 40 && ::GetForegroundWindow() != hOther; n++)
            Wait(50);
        ASSERT_EQ(hOther, ::GetForegroundWindow());
        // The status bar's first pane, away from the other window.
        RECT rcStatus = WindowRect(hStatus);
        ClickScreen({rcStatus.left + 300, (rcStatus.top + rcStatus.bottom) / 2}, false);
        for (int n = 0; n < 40 && ::GetForegroundWindow() != hFrame; n++)
            Wait(50);
        EXPECT_EQ(hFrame, ::GetForegroundWindow()) << "the click left the other program in front";
    }
    // The keyboard is the game's again: Ctrl+N opens the New Puzzle dialog.
    PressKeys({VK_CONTROL, 'N'});
    HWND hNew = WaitForWindow(game.Pid(), "New Puzzle", 5000);
    EXPECT_TRUE(hNew != NULL) << "Ctrl+N after the click";
    if (hNew != NULL)
        ::PostMessage(hNew, WM_COMMAND, IDCANCEL, 0);
    ::DestroyWindow(hOther);
    Wait(300);
    EXPECT_EQ(0, game.Close());
    ClearSettings();
}

// Both panes floating from a stored layout that holds no docking size for
// them: a pane dragged to the frame's left edge docks at a usable width,
// and its edge can be dragged wider.
TEST_F(Brindlemark, APaneDockedFromALayoutWithoutDockingSizesHasAWidthAndWidens)
{
    {
        Game first;
        ASSERT_TRUE(first.Frame() != NULL);
        EXPECT_EQ(0, first.Close());
    }
    ASSERT_TRUE(ImportRegistryText(kTwoFloatingPanesReg));
    Game game;
    ASSERT_TRUE(game.Frame() != NULL);
    HWND hFrame = game.Frame();
    ::SetForegroundWindow(hFrame);
    Wait(300);
    HWND hMini = FloatingPane(game);
    ASSERT_TRUE(hMini != NULL) << "no floating pane";
    RECT rcMini = WindowRect(hMini), rcView = WindowRect(game.View());
    DragScreen({rcMini.left + 30, rcMini.top + 8}, {rcView.left + 6, (rcView.top + rcView.bottom) / 2});
    Wait(500);
    std::vector<HWND> docked = VisibleDescendants(hFrame, "XTPDockingPaneTabbedContainer");
    ASSERT_EQ(1u, docked.size()) << "the pane did not dock";
    RECT rcPane = WindowRect(docked[0]);
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(hFrame, "pane_docked_without_size").empty());
    EXPECT_GE(rcPane.right - rcPane.left, 100) << "docked at " << rcPane.right - rcPane.left << " px";
    EXPECT_EQ(1u, VisibleDescendants(docked[0], "XTPPropertyGrid").size()) << "the pane's grid does not show";

    // The splitter at its right edge, dragged 80 px to the right.
    rcView = WindowRect(game.View());
    const int nBefore = rcPane.right - rcPane.left;
    const int ySplit = (rcPane.top + rcPane.bottom) / 2;
    const int xSplit = (rcPane.right + rcView.left) / 2;
    DragScreen({xSplit, ySplit}, {xSplit + 80, ySplit});
    Wait(500);
    rcPane = WindowRect(docked[0]);
    EXPECT_GE(rcPane.right - rcPane.left, nBefore + 60) << "the pane did not widen from " << nBefore;
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(hFrame, "pane_docked_without_size_widened").empty());

    // The other floating pane, to the frame's right edge; its splitter
    // dragged 80 px to the left.
    hMini = FloatingPane(game);
    ASSERT_TRUE(hMini != NULL) << "the second pane does not float";
    rcMini = WindowRect(hMini);
    rcView = WindowRect(game.View());
    DragScreen({rcMini.left + 30, rcMini.top + 8}, {rcView.right - 6, (rcView.top + rcView.bottom) / 2});
    Wait(500);
    docked = VisibleDescendants(hFrame, "XTPDockingPaneTabbedContainer");
    ASSERT_EQ(2u, docked.size()) << "the second pane did not dock";
    HWND hRight = WindowRect(docked[0]).left > WindowRect(docked[1]).left ? docked[0] : docked[1];
    RECT rcRight = WindowRect(hRight);
    EXPECT_GE(rcRight.right - rcRight.left, 100) << "docked at " << rcRight.right - rcRight.left << " px";
    rcView = WindowRect(game.View());
    const int nRightBefore = rcRight.right - rcRight.left;
    const int xRightSplit = (rcView.right + rcRight.left) / 2;
    DragScreen({xRightSplit, ySplit}, {xRightSplit - 80, ySplit});
    Wait(500);
    rcRight = WindowRect(hRight);
    EXPECT_GE(rcRight.right - rcRight.left, nRightBefore + 60) << "the pane did not widen from " << nRightBefore;
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(hFrame, "pane_docked_without_size_right").empty());
    EXPECT_EQ(0, game.Close());
    ClearSettings();
}

namespace
{
// The title of the Customize sheet's page that shows.
std::string ShownPageTitle(HWND hSheet)
{
    HWND hPage = (HWND)::SendMessage(hSheet, PSM_GETCURRENTPAGEHWND, 0, 0);
    return hPage != NULL ? WindowText(hPage) : std::string();
}
} // namespace

// An access key on the Customize sheet reaches only the page that shows:
// Alt+N on the Options page ticks "Always show full me&nus" and on the
// Keyboard page goes to "Press &new shortcut key:", never the hidden
// Toolbars page's "&New..." button.
TEST_F(Brindlemark, AnAccessKeyOnTheCustomizeSheetReachesOnlyThePageThatShows)
{
    Game game;
    ASSERT_TRUE(game.Frame() != NULL);
    ::SetForegroundWindow(game.Frame());
    HWND hSheet = OpenCustomize(game);
    ASSERT_TRUE(hSheet != NULL) << "the Customize sheet did not open";
    EXPECT_EQ("Tool&bars", ShownPageTitle(hSheet));

    // Ctrl+Tab three times: Commands, Keyboard, Options.
    for (int i = 0; i < 3; i++)
        PressKeys({VK_CONTROL, VK_TAB});
    ASSERT_EQ("&Options", ShownPageTitle(hSheet));
    HWND hOptions = (HWND)::SendMessage(hSheet, PSM_GETCURRENTPAGEHWND, 0, 0);
    HWND hFullMenus = ::GetDlgItem(hOptions, 100);
    ASSERT_TRUE(hFullMenus != NULL);
    const LRESULT nChecked = ::SendMessage(hFullMenus, BM_GETCHECK, 0, 0);
    PressKeys({VK_MENU, 'N'});
    HWND hNew = WaitForWindow(game.Pid(), "New Toolbar", 1000);
    EXPECT_TRUE(hNew == NULL) << "Alt+N on the Options page ran New Toolbar";
    if (hNew != NULL)
        ClickButton(hNew, "Cancel");
    EXPECT_NE(nChecked, ::SendMessage(hFullMenus, BM_GETCHECK, 0, 0)) << "Always show full menus kept its tick";
    EXPECT_EQ("&Options", ShownPageTitle(hSheet));

    // Back to the Keyboard page: the key goes to the capture box.
    PressKeys({VK_CONTROL, VK_SHIFT, VK_TAB});
    ASSERT_EQ("&Keyboard", ShownPageTitle(hSheet));
    HWND hKeyboard = (HWND)::SendMessage(hSheet, PSM_GETCURRENTPAGEHWND, 0, 0);
    PressKeys({VK_MENU, 'N'});
    hNew = WaitForWindow(game.Pid(), "New Toolbar", 1000);
    EXPECT_TRUE(hNew == NULL) << "Alt+N on the Keyboard page ran New Toolbar";
    if (hNew != NULL)
        ClickButton(hNew, "Cancel");
    GUITHREADINFO gti = {};
    gti.cbSize = sizeof(gti);
    ::GetGUIThreadInfo(::GetWindowThreadProcessId(hSheet, NULL), &gti);
    EXPECT_EQ(::GetDlgItem(hKeyboard, 106), gti.hwndFocus) << "the focus is not in the shortcut box";
    EXPECT_EQ("&Keyboard", ShownPageTitle(hSheet));
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(hSheet, "customize_keyboard_alt_n").empty());

    // No toolbar was made.
    ASSERT_TRUE(PressChildButton(hSheet, "Close"));
    ASSERT_TRUE(WaitUntilGone(hSheet));
    for (HWND hBar : Descendants(game.Frame(), "", "XTPToolBar"))
        EXPECT_NE("Custom 1", WindowText(hBar));
    EXPECT_EQ(0, game.Close());
    ClearSettings();
}

namespace
{
// Sets the prefix's text size (dots per inch) for the programs started
// while it lives, and puts back what was there.
class LogPixelsSetting
{
public:
    explicit LogPixelsSetting(DWORD dwDpi)
    {
        if (::RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, KEY_READ | KEY_WRITE, &m_hKey) !=
            ERROR_SUCCESS)
        {
            m_hKey = NULL;
            return;
        }
        DWORD dwSize = sizeof(m_dwOld), dwType = 0;
        m_bHadOld = ::RegQueryValueExA(m_hKey, "LogPixels", NULL, &dwType, (BYTE*)&m_dwOld, &dwSize) == ERROR_SUCCESS &&
                    dwType == REG_DWORD;
        m_bSet = ::RegSetValueExA(m_hKey, "LogPixels", 0, REG_DWORD, (const BYTE*)&dwDpi, sizeof(dwDpi)) ==
                 ERROR_SUCCESS;
    }
    ~LogPixelsSetting()
    {
        if (m_hKey == NULL)
            return;
        if (m_bHadOld)
            ::RegSetValueExA(m_hKey, "LogPixels", 0, REG_DWORD, (const BYTE*)&m_dwOld, sizeof(m_dwOld));
        else
            ::RegDeleteValueA(m_hKey, "LogPixels");
        ::RegCloseKey(m_hKey);
    }
    bool IsSet() const { return m_bSet; }

private:
    HKEY m_hKey = NULL;
    DWORD m_dwOld = 0;
    bool m_bHadOld = false;
    bool m_bSet = false;
};

// The font of the game's bars and menus at a text size: the system's menu
// font for that size (a program started at that size gets it).
LOGFONTA BarFontAt(UINT nDpi)
{
    NONCLIENTMETRICSA ncm = {};
    ncm.cbSize = 340; // the layout without the padded-border field
    ::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, ncm.cbSize, &ncm, 0);
    LOGFONTA lf = ncm.lfMenuFont;
    typedef BOOL(WINAPI * PFNSPIFORDPI)(UINT, UINT, PVOID, UINT, UINT);
    PFNSPIFORDPI pfn =
        (PFNSPIFORDPI)(void*)::GetProcAddress(::GetModuleHandleA("user32.dll"), "SystemParametersInfoForDpi");
    NONCLIENTMETRICSW ncmw = {};
    ncmw.cbSize = (UINT)(offsetof(NONCLIENTMETRICSW, lfMessageFont) + sizeof(LOGFONTW));
    if (pfn != NULL && pfn(SPI_GETNONCLIENTMETRICS, ncmw.cbSize, &ncmw, 0, nDpi))
        lf.lfHeight = ncmw.lfMenuFont.lfHeight;
    else
        lf.lfHeight = ::MulDiv(lf.lfHeight, (int)nDpi, 96);
    if (lf.lfHeight < 0 && lf.lfHeight >= -10)
        lf.lfHeight = -11;
    return lf;
}

// Grey levels of a rectangle of a DC, row by row.
struct GreyPicture
{
    int cx = 0, cy = 0;
    std::vector<int> grey;
    int At(int x, int y) const { return grey[(size_t)y * cx + x]; }
};

GreyPicture GreyOf(HDC hSource, const RECT& rc)
{
    GreyPicture picture;
    picture.cx = rc.right - rc.left;
    picture.cy = rc.bottom - rc.top;
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = picture.cx;
    bmi.bmiHeader.biHeight = -picture.cy;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    void* pBits = NULL;
    HBITMAP hBitmap = ::CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
    HDC hMem = ::CreateCompatibleDC(hSource);
    HGDIOBJ hOld = ::SelectObject(hMem, hBitmap);
    ::BitBlt(hMem, 0, 0, picture.cx, picture.cy, hSource, rc.left, rc.top, SRCCOPY);
    ::GdiFlush();
    const DWORD* pPixels = (const DWORD*)pBits;
    for (int i = 0; pPixels != NULL && i < picture.cx * picture.cy; i++)
    {
        const DWORD c = pPixels[i];
        picture.grey.push_back((int)(((c >> 16) & 0xFF) * 30 + ((c >> 8) & 0xFF) * 59 + (c & 0xFF) * 11) / 100);
    }
    picture.grey.resize((size_t)picture.cx * picture.cy, 255);
    ::SelectObject(hMem, hOld);
    ::DeleteDC(hMem);
    ::DeleteObject(hBitmap);
    return picture;
}

// A text drawn whole in the font: its fully inked pixels and some of the
// plain pixels between them, relative to the top-left of its ink.
struct TextPicture
{
    std::vector<POINT> ink, plain;
    int cx = 0, cy = 0;
};

TextPicture DrawnText(const LOGFONTA& lf, const std::string& strText)
{
    const RECT rc = {0, 0, 700, 80};
    HDC hScreen = ::GetDC(NULL);
    HDC hMem = ::CreateCompatibleDC(hScreen);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, rc.right, rc.bottom);
    HGDIOBJ hOldBitmap = ::SelectObject(hMem, hBitmap);
    HFONT hFont = ::CreateFontIndirectA(&lf);
    HGDIOBJ hOldFont = ::SelectObject(hMem, hFont);
    ::FillRect(hMem, &rc, (HBRUSH)::GetStockObject(WHITE_BRUSH));
    ::SetTextColor(hMem, RGB(0, 0, 0));
    ::SetBkMode(hMem, TRANSPARENT);
    RECT rcText = {10, 10, 690, 70};
    ::DrawTextA(hMem, strText.c_str(), -1, &rcText, DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
    ::SelectObject(hMem, hOldFont);
    ::DeleteObject(hFont);
    GreyPicture picture = GreyOf(hMem, rc);
    ::SelectObject(hMem, hOldBitmap);
    ::DeleteObject(hBitmap);
    ::DeleteDC(hMem);
    ::ReleaseDC(NULL, hScreen);
    TextPicture text;
    int xMin = rc.right, yMin = rc.bottom, xMax = -1, yMax = -1;
    for (int y = 0; y < picture.cy; y++)
        for (int x = 0; x < picture.cx; x++)
            if (picture.At(x, y) < 80)
            {
                text.ink.push_back({x, y});
                xMin = std::min(xMin, x);
                yMin = std::min(yMin, y);
                xMax = std::max(xMax, x);
                yMax = std::max(yMax, y);
            }
    for (int y = yMin; y <= yMax; y++)
        for (int x = xMin; x <= xMax; x += 3)
            if (picture.At(x, y) >= 250)
                text.plain.push_back({x - xMin, y - yMin});
    for (POINT& pt : text.ink)
    {
        pt.x -= xMin;
        pt.y -= yMin;
    }
    text.cx = xMax - xMin + 1;
    text.cy = yMax - yMin + 1;
    return text;
}

// Looks for a text on a picture of the screen (where it stands out most
// from what lies between its strokes, whatever its colours): TRUE when it
// shows there whole, its last letters as dark as the rest (a cut text lacks
// its right-most columns, a shortened one has "..." in their place).
bool ShowsWhole(const GreyPicture& picture, const TextPicture& text, std::string* pWhy)
{
    if (text.ink.empty() || text.plain.empty() || text.cx > picture.cx || text.cy > picture.cy)
    {
        *pWhy = "nothing to look for";
        return false;
    }
    // The mean grey of the ink (or of its last two columns) less the mean grey
    // between the strokes; with bNormal over the spread of all those greys,
    // which is largest where the strokes line up with the text's.
    auto contrast = [&](int x, int y, bool bTail, bool bNormal) {
        double dInk = 0, dPlain = 0, dSum = 0, dSquares = 0;
        int nInk = 0;
        for (const POINT& pt : text.ink)
        {
            const double g = picture.At(x + pt.x, y + pt.y);
            dSum += g;
            dSquares += g * g;
            if (!bTail || pt.x >= text.cx - 2)
            {
                dInk += g;
                nInk++;
            }
        }
        for (const POINT& pt : text.plain)
        {
            const double g = picture.At(x + pt.x, y + pt.y);
            dPlain += g;
            dSum += g;
            dSquares += g * g;
        }
        const double n = (double)(text.ink.size() + text.plain.size());
        const double dContrast = dPlain / (double)text.plain.size() - dInk / (double)std::max(1, nInk);
        if (!bNormal)
            return dContrast;
        const double dSpread = std::sqrt(std::max(1.0, dSquares / n - (dSum / n) * (dSum / n)));
        return dContrast / dSpread;
    };
    double dBest = -1000;
    POINT ptBest = {0, 0};
    for (int y = 0; y + text.cy <= picture.cy; y++)
        for (int x = 0; x + text.cx <= picture.cx; x++)
        {
            const double d = contrast(x, y, false, true);
            if (d > dBest)
            {
                dBest = d;
                ptBest = {x, y};
            }
        }
    dBest = contrast(ptBest.x, ptBest.y, false, false);
    const double dTail = contrast(ptBest.x, ptBest.y, true, false);
    *pWhy = "at " + std::to_string(ptBest.x) + "," + std::to_string(ptBest.y) + " contrast " +
            std::to_string((int)dBest) + ", last columns " + std::to_string((int)dTail);
    return dBest >= 25 && dTail >= dBest * 3 / 4;
}

void ExpectTextsWhole(HWND hWnd, const LOGFONTA& lf, const std::vector<std::string>& texts, const char* pszWhere)
{
    RECT rc = WindowRect(hWnd);
    HDC hScreen = ::GetDC(NULL);
    GreyPicture picture = GreyOf(hScreen, rc);
    ::ReleaseDC(NULL, hScreen);
    for (const std::string& strText : texts)
    {
        std::string strWhy;
        EXPECT_TRUE(ShowsWhole(picture, DrawnText(lf, strText), &strWhy))
            << pszWhere << ": \"" << strText << "\" is not whole (" << strWhy << ")";
    }
}

HWND BarTitled(HWND hFrame, const std::string& strTitle)
{
    for (HWND hBar : Descendants(hFrame, strTitle, "XTPToolBar"))
        if (::IsWindowVisible(hBar))
            return hBar;
    return NULL;
}
} // namespace

// At 96, 120 and 144 dots per inch every toolbar caption and every entry of
// the Edit menu shows whole: the width a control is laid out at is the
// width its text is drawn at.
TEST_F(Brindlemark, CaptionsAndMenuEntriesAreWholeAtLargerTextSizes)
{
    for (UINT nDpi : {96u, 120u, 144u})
    {
        SCOPED_TRACE(nDpi);
        const LOGFONTA lf = BarFontAt(nDpi);
        LogPixelsSetting dpi(nDpi);
        ASSERT_TRUE(dpi.IsSet());
        Game game;
        ASSERT_TRUE(game.Frame() != NULL);
        HWND hFrame = game.Frame();
        // Maximised, so that both toolbars have room for all their buttons.
        ::ShowWindow(hFrame, SW_MAXIMIZE);
        ::SetForegroundWindow(hFrame);
        Wait(800);
        const std::string strDpi = std::to_string(nDpi);
        EXPECT_FALSE(testsupport::SaveScreenSnapshot(hFrame, ("dpi_" + strDpi + "_toolbars").c_str()).empty());
        HWND hStandard = BarTitled(hFrame, "Standard"), hTimer = BarTitled(hFrame, "Timer");
        EXPECT_TRUE(hStandard != NULL && hTimer != NULL);
        if (hStandard != NULL)
            ExpectTextsWhole(hStandard, lf,
                             {"New Puzzle", "Open", "Save Puzzle", "Print", "Undo", "Branch", "Accept", "Revert"},
                             "Standard toolbar");
        if (hTimer != NULL)
            ExpectTextsWhole(hTimer, lf, {"Pause", "Play", "Elapsed", "Remaining", "Target"}, "Timer toolbar");

        ChooseWithKeys(hFrame, 'E', {});
        Wait(500);
        HWND hMenu = NULL;
        for (HWND hPopup : TopLevels(game.Pid(), "XTPPopupBar"))
            if (::IsWindowVisible(hPopup))
                hMenu = hPopup;
        EXPECT_TRUE(hMenu != NULL) << "the Edit menu did not open";
        if (hMenu != NULL)
        {
            EXPECT_FALSE(testsupport::SaveScreenSnapshot(hFrame, ("dpi_" + strDpi + "_edit_menu").c_str()).empty());
            ExpectTextsWhole(hMenu, lf,
                             {"Undo", "Copy Puzzle To Clipboard", "Branching", "Finalize Grid",
                              "Update Unshaded Squares", "AutoMark Unshaded Squares", "Revert to start...",
                              "Show Solution..."},
                             "Edit menu");
        }
        PressKeys({VK_ESCAPE});
        PressKeys({VK_ESCAPE});
        EXPECT_EQ(0, game.Close());
    }
    ClearSettings();
}

// ---------------------------------------------------------------------------
// Printing from the command line, print preview and Print Setup, with test
// printers (Wine's PostScript driver writing each job to a file) installed
// into the prefix for the test.

namespace
{
const char kTestPrinterA[] = "Brindlemark Test A";
const char kTestPrinterB[] = "Brindlemark Test B";
const char kInstallAPrinter[] = "Before you can perform printer-related tasks such as page setup or printing a "
                                "document, you need to install a printer. Please install one and retry.";

// Starts the game with the arguments and waits for it to end by itself;
// false (and the game ended by force) when it does not.
bool RunToTheEnd(const std::string& strArguments, DWORD* pdwExit = NULL)
{
    PROCESS_INFORMATION pi = {};
    if (!StartGameWith(strArguments, pi))
        return false;
    const bool bEnded = ::WaitForSingleObject(pi.hProcess, 30000) == WAIT_OBJECT_0;
    if (!bEnded)
        ::TerminateProcess(pi.hProcess, 1);
    if (pdwExit != NULL)
        ::GetExitCodeProcess(pi.hProcess, pdwExit);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    return bEnded;
}

// The visible top-level window of the process titled strTitle whose static
// text says pszText, waited for.
HWND WaitForTextWindow(DWORD dwPid, const char* pszTitle, const char* pszText, int nMilliseconds = 15000)
{
    for (int n = 0; n < nMilliseconds / 50; n++)
    {
        for (HWND hWnd : TopLevels(dwPid, "#32770"))
        {
            if (::IsWindowVisible(hWnd) && WindowText(hWnd) == pszTitle && !Descendants(hWnd, pszText, "").empty())
                return hWnd;
        }
        Wait(50);
    }
    return NULL;
}

// The visible windows of a class below the frame.
int VisibleChildren(HWND hFrame, const char* pszClass)
{
    return (int)VisibleDescendants(hFrame, pszClass).size();
}

// The combo box of a printing dialog that lists the printers.
HWND PrinterCombo(HWND hDialog)
{
    for (HWND hCombo : Descendants(hDialog, "", "ComboBox"))
        if (::SendMessage(hCombo, CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)kTestPrinterB) >= 0)
            return hCombo;
    return NULL;
}

std::string ComboSelection(HWND hCombo)
{
    // The dialogs' lists hold wide text.
    WCHAR szText[256] = L"";
    LRESULT nSel = ::SendMessageW(hCombo, CB_GETCURSEL, 0, 0);
    if (nSel >= 0 && ::SendMessageW(hCombo, CB_GETLBTEXTLEN, (WPARAM)nSel, 0) < 255)
        ::SendMessageW(hCombo, CB_GETLBTEXT, (WPARAM)nSel, (LPARAM)szText);
    char szNarrow[256] = "";
    ::WideCharToMultiByte(CP_ACP, 0, szText, -1, szNarrow, sizeof(szNarrow), NULL, NULL);
    return szNarrow;
}

// Writes a 7 x 7 puzzle file in play, without a time limit.
bool WritePuzzleToPrint(const std::string& strFile)
{
    CHTDataContainer puzzle;
    CHTGenerator generator;
    bool bMade = false;
    for (int i = 0; i < 50 && !bMade; i++)
        bMade = generator.Generate(NULL, 7, 7, &puzzle) != FALSE;
    if (!bMade)
        return false;
    CGradeInfo grade = CGradeInfo::MakeEasyProfile();
    grade.m_nColumns = grade.m_nRows = 7;
    grade.m_bForceComplete = 0;
    CAppearanceInfo appearance;
    puzzle.ApplySquareColours(appearance);
    puzzle.m_AppearanceInfo.CopyFrom(appearance);
    puzzle.SetGradeInfo(grade);
    puzzle.m_nGameState = htgsPlaying;
    return puzzle.WriteToFile(strFile.c_str()) != FALSE;
}

// Closes the game, answering a save question with Don't Save; its exit code.
int CloseWithoutSaving(Game& game)
{
    ::PostMessage(game.Frame(), WM_CLOSE, 0, 0);
    HWND hQuestion = WaitForDialogOtherThan(game.Pid(), NULL, 3000);
    if (hQuestion != NULL)
        ClickButton(hQuestion, "Don't Save");
    return game.WaitForExit();
}

class BrindlemarkPrinting : public Brindlemark
{
protected:
    void SetUp() override
    {
        Brindlemark::SetUp();
        if (IsSkipped())
            return;
        testsupport::RemoveLeftoverTestPrinters();
        if (!testsupport::InstalledPrinters().empty())
            GTEST_SKIP() << "the prefix has printers of its own";
        m_strPuzzle = m_folder.Path("printed.hti");
        ASSERT_TRUE(WritePuzzleToPrint(m_strPuzzle));
    }
    void InstallPrinters()
    {
        m_pA.reset(new testsupport::CTestPrinter(kTestPrinterA, m_folder.Path("a.ps"), true));
        m_pB.reset(new testsupport::CTestPrinter(kTestPrinterB, m_folder.Path("b.ps"), false));
        ASSERT_TRUE(m_pA->Installed() && m_pB->Installed()) << "no test printer";
    }
    int PagesOf(const char* pszName) { return testsupport::CountPostScriptPages(m_folder.Path(pszName)); }
    // Waits for a job to reach the printer's file.
    int WaitForPages(const char* pszName)
    {
        for (int n = 0; n < 200 && PagesOf(pszName) <= 0; n++)
            Wait(50);
        return PagesOf(pszName);
    }
    void TearDown() override
    {
        m_pA.reset();
        m_pB.reset();
        ClearSettings();
    }

    testsupport::CTempFolder m_folder;
    std::string m_strPuzzle;
    std::unique_ptr<testsupport::CTestPrinter> m_pA, m_pB;
};
} // namespace

// Brindlemark.exe /p prints the puzzle on one page of the default printer
// and ends; /pt prints it on the printer it names.
TEST_F(BrindlemarkPrinting, PrintingFromTheCommandLinePrintsThePuzzleAndEnds)
{
    InstallPrinters();
    DWORD dwExit = 0;
    EXPECT_TRUE(RunToTheEnd(" /p \"" + m_strPuzzle + "\"", &dwExit)) << "/p did not end";
    EXPECT_EQ(1, PagesOf("a.ps")) << "/p printed nothing on the default printer";
    EXPECT_EQ(-1, PagesOf("b.ps"));
    // The page holds the board's picture.
    EXPECT_NE(std::string::npos, testsupport::ReadFileBytes(m_folder.Path("a.ps")).find("image"));

    EXPECT_TRUE(RunToTheEnd(" /pt \"" + m_strPuzzle + "\" \"" + kTestPrinterB + "\"")) << "/pt did not end";
    EXPECT_EQ(1, PagesOf("b.ps")) << "/pt did not print on the printer it names";
}

// Without a printer, /p and the print preview tell the player to install
// one, as the print command does; /p then ends.
TEST_F(BrindlemarkPrinting, WithoutAPrinterPrintingAndPreviewSaySo)
{
    PROCESS_INFORMATION pi = {};
    ASSERT_TRUE(StartGameWith(" /p \"" + m_strPuzzle + "\"", pi));
    HWND hMessage = WaitForTextWindow(pi.dwProcessId, "Print", kInstallAPrinter);
    EXPECT_TRUE(hMessage != NULL) << "/p without a printer said nothing";
    if (hMessage != NULL)
    {
        testsupport::SaveScreenSnapshot(hMessage, "print_without_printer");
        ClickButton(hMessage, "OK");
    }
    WaitForGameToEnd(pi);

    Game game(" \"" + m_strPuzzle + "\"", "printed.hti - Brindlemark");
    ASSERT_TRUE(game.Frame() != NULL);
    HWND hView = game.View();
    game.Command(ID_FILE_PRINT_PREVIEW);
    hMessage = WaitForTextWindow(game.Pid(), "Print", kInstallAPrinter);
    EXPECT_TRUE(hMessage != NULL) << "the preview without a printer said nothing";
    if (hMessage != NULL)
        ClickButton(hMessage, "OK");
    Wait(500);
    EXPECT_EQ(hView, game.View()) << "a preview without a printer";
    EXPECT_TRUE(::IsWindowVisible(hView));
    EXPECT_EQ(0, CloseWithoutSaving(game));
}

// The preview shows the puzzle's page with the preview bar, hides the
// command bars and turns the shortcuts off; Close gives them back.
TEST_F(BrindlemarkPrinting, ThePreviewShowsThePageAndGivesTheBarsAndShortcutsBack)
{
    InstallPrinters();
    Game game(" \"" + m_strPuzzle + "\"", "printed.hti - Brindlemark");
    ASSERT_TRUE(game.Frame() != NULL);
    HWND hFrame = game.Frame();
    HWND hView = game.View();
    const int nBars = VisibleChildren(hFrame, "XTPToolBar");
    ASSERT_GT(nBars, 0);

    game.Command(ID_FILE_PRINT_PREVIEW);
    Wait(1000);
    HWND hPreview = game.View();
    ASSERT_TRUE(hPreview != NULL && hPreview != hView) << "no preview";
    EXPECT_FALSE(::IsWindowVisible(hView));
    EXPECT_EQ(0, VisibleChildren(hFrame, "XTPToolBar")) << "the command bars stay in the preview";
    HWND hBar = ::GetDlgItem(hFrame, 0xE802);
    ASSERT_TRUE(hBar != NULL && ::IsWindowVisible(hBar)) << "no preview bar";
    for (const char* pszButton :
         {"&Print...", "&Next Page", "Pre&v Page", "&Two Page", "Zoom &In", "Zoom &Out", "&Close"})
        EXPECT_EQ(1u, Descendants(hBar, pszButton, "Button").size()) << pszButton;
    // One page: no next page, no two pages.
    EXPECT_FALSE(::IsWindowEnabled(Descendants(hBar, "&Next Page", "Button")[0]));
    EXPECT_FALSE(::IsWindowEnabled(Descendants(hBar, "&Two Page", "Button")[0]));
    testsupport::SaveScreenSnapshot(hFrame, "print_preview");

    // The page on the screen: white paper with the board's colours on it.
    RECT rcPreview;
    ::GetWindowRect(hPreview, &rcPreview);
    HDC hScreen = ::GetDC(NULL);
    int nWhite = 0, nColoured = 0, nSamples = 0;
    for (int y = rcPreview.top + 10; y < rcPreview.bottom - 10; y += 7)
        for (int x = rcPreview.left + 10; x < rcPreview.right - 10; x += 7)
        {
            const COLORREF clr = ::GetPixel(hScreen, x, y);
            nSamples++;
            if (clr == RGB(255, 255, 255))
                nWhite++;
            else if (clr != ::GetSysColor(COLOR_APPWORKSPACE) && clr != RGB(0, 0, 0))
                nColoured++;
        }
    ::ReleaseDC(NULL, hScreen);
    EXPECT_GT(nWhite, nSamples / 10) << "no paper";
    EXPECT_GT(nColoured, nSamples / 50) << "no puzzle on the page";

    // Shortcuts are off: Ctrl+N opens nothing.
    ::SetForegroundWindow(hFrame);
    Wait(200);
    PressKeys({VK_CONTROL, 'N'});
    Wait(700);
    EXPECT_TRUE(VisibleDialogs(game.Pid()).empty()) << "a shortcut worked in the preview";

    // Zoom In, clicked: the page grows and scrolls; Zoom Out, clicked: whole again.
    auto clickButton = [&](const char* pszButton) {
        RECT rc;
        ::GetWindowRect(Descendants(hBar, pszButton, "Button")[0], &rc);
        ClickScreen({(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2}, false);
        Wait(300);
    };
    clickButton("Zoom &In");
    EXPECT_TRUE(::GetWindowLong(hPreview, GWL_STYLE) & WS_VSCROLL) << "the zoomed page does not scroll";
    EXPECT_TRUE(::IsWindowEnabled(Descendants(hBar, "Zoom &Out", "Button")[0]));
    testsupport::SaveScreenSnapshot(hFrame, "print_preview_zoomed");
    clickButton("Zoom &Out");
    EXPECT_FALSE(::GetWindowLong(hPreview, GWL_STYLE) & WS_VSCROLL);

    // Close, clicked.
    HWND hClose = Descendants(hBar, "&Close", "Button")[0];
    RECT rcClose;
    ::GetWindowRect(hClose, &rcClose);
    ClickScreen({(rcClose.left + rcClose.right) / 2, (rcClose.top + rcClose.bottom) / 2}, false);
    Wait(500);
    EXPECT_EQ(hView, game.View()) << "the board is not back";
    EXPECT_TRUE(::IsWindowVisible(hView));
    EXPECT_FALSE(::IsWindow(hPreview));
    EXPECT_EQ(nBars, VisibleChildren(hFrame, "XTPToolBar")) << "the command bars are not back";
    EXPECT_EQ(-1, PagesOf("a.ps")) << "the preview printed";

    // Shortcuts work again: Ctrl+N opens New Puzzle.
    ::SetForegroundWindow(hFrame);
    Wait(200);
    PressKeys({VK_CONTROL, 'N'});
    HWND hDialog = WaitForDialogOtherThan(game.Pid(), NULL, 5000);
    EXPECT_TRUE(hDialog != NULL) << "the shortcuts stay off after the preview";
    if (hDialog != NULL)
    {
        ::PostMessage(hDialog, WM_COMMAND, IDCANCEL, 0);
        WaitUntilGone(hDialog);
    }

    // Closing the game in the preview closes the preview; the bars are kept
    // shown for the next start. Alt and a letter of the hidden menu bar
    // open no menu meanwhile.
    game.Command(ID_FILE_PRINT_PREVIEW);
    Wait(500);
    EXPECT_NE(hView, game.View());
    ::SetForegroundWindow(hFrame);
    Wait(200);
    PressKeys({VK_MENU, 'F'});
    Wait(500);
    EXPECT_FALSE(AnyPopupBarVisible(game.Pid())) << "the hidden menu bar opened its File menu";
    EXPECT_NE(hView, game.View());
    ::PostMessage(hFrame, WM_CLOSE, 0, 0);
    Wait(700);
    EXPECT_TRUE(game.IsRunning());
    EXPECT_EQ(hView, game.View());
    EXPECT_EQ(nBars, VisibleChildren(hFrame, "XTPToolBar"));

    // Alt and the access key of Close close it from the keyboard.
    game.Command(ID_FILE_PRINT_PREVIEW);
    Wait(500);
    EXPECT_NE(hView, game.View());
    ::SetForegroundWindow(hFrame);
    Wait(200);
    PressKeys({VK_MENU, 'C'});
    Wait(500);
    EXPECT_EQ(hView, game.View()) << "Alt+C did not close the preview";
    EXPECT_EQ(0, CloseWithoutSaving(game));
}

// A profile pane docked beside the board steps aside while the preview
// shows, and the status bar names the page; both come back on closing.
TEST_F(BrindlemarkPrinting, TheProfilePaneStepsAsideForThePreviewWhichNamesThePage)
{
    InstallPrinters();
    Game game(" \"" + m_strPuzzle + "\"", "printed.hti - Brindlemark");
    ASSERT_TRUE(game.Frame() != NULL);
    HWND hFrame = game.Frame();
    HWND hView = game.View();
    game.Command(ID_APPEARANCE_PANE);
    Wait(300);
    ASSERT_EQ(1, VisibleChildren(hFrame, "XTPDockingPaneTabbedContainer")) << "no profile pane";
    RECT rcViewBefore;
    ::GetWindowRect(hView, &rcViewBefore);

    game.Command(ID_FILE_PRINT_PREVIEW);
    Wait(1000);
    HWND hPreview = game.View();
    ASSERT_TRUE(hPreview != NULL && hPreview != hView) << "no preview";
    EXPECT_EQ(0, VisibleChildren(hFrame, "XTPDockingPaneTabbedContainer")) << "the pane stays beside the preview";
    RECT rcClient, rcPreview;
    ::GetClientRect(hFrame, &rcClient);
    ::MapWindowPoints(hFrame, NULL, (LPPOINT)&rcClient, 2);
    ::GetWindowRect(hPreview, &rcPreview);
    EXPECT_EQ(rcClient.left, rcPreview.left) << "the preview does not take the pane's room";
    EXPECT_EQ("Page 1", WaitForStatusText(hFrame, "Page 1"));
    testsupport::SaveScreenSnapshot(hFrame, "print_preview_with_pane");

    ::PostMessage(hPreview, WM_KEYDOWN, VK_ESCAPE, 0);
    Wait(700);
    EXPECT_EQ(hView, game.View()) << "the board is not back";
    EXPECT_EQ(1, VisibleChildren(hFrame, "XTPDockingPaneTabbedContainer")) << "the pane is not back";
    RECT rcView;
    ::GetWindowRect(hView, &rcView);
    EXPECT_EQ(rcViewBefore.left, rcView.left);
    EXPECT_EQ("Ready", WaitForStatusText(hFrame, "Ready"));
    EXPECT_EQ(0, CloseWithoutSaving(game));
}

// The printer chosen in Print Setup is the one direct printing prints on
// and the one the print dialog starts from.
TEST_F(BrindlemarkPrinting, PrintingStartsFromThePrinterChosenInPrintSetup)
{
    InstallPrinters();
    Game game(" \"" + m_strPuzzle + "\"", "printed.hti - Brindlemark");
    ASSERT_TRUE(game.Frame() != NULL);
    ::PostMessage(game.Frame(), WM_COMMAND, ID_FILE_PRINT_SETUP, 0);
    HWND hSetup = WaitForDialogOtherThan(game.Pid(), NULL, 10000);
    ASSERT_TRUE(hSetup != NULL) << "no Print Setup";
    HWND hCombo = PrinterCombo(hSetup);
    ASSERT_TRUE(hCombo != NULL) << "no printer list in " << WindowText(hSetup);
    EXPECT_EQ(kTestPrinterA, ComboSelection(hCombo)) << "Print Setup does not start from the default printer";
    ::SendMessage(hCombo, CB_SELECTSTRING, (WPARAM)-1, (LPARAM)kTestPrinterB);
    ::SendMessage(hSetup, WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(hCombo), CBN_SELCHANGE), (LPARAM)hCombo);
    ClickDialogButton(hSetup, IDOK);
    EXPECT_TRUE(WaitUntilGone(hSetup));

    // Direct printing, as a button of a program on the toolkit gives it.
    game.Command(ID_FILE_PRINT_DIRECT);
    EXPECT_EQ(1, WaitForPages("b.ps")) << "direct printing did not print on the chosen printer";
    EXPECT_EQ(-1, PagesOf("a.ps"));

    // Print Current Puzzle: the dialog starts from the chosen printer.
    ::DeleteFileA(m_folder.Path("b.ps").c_str());
    ::SetForegroundWindow(game.Frame());
    Wait(200);
    PressKeys({VK_CONTROL, 'P'});
    HWND hPrint = WaitForDialogOtherThan(game.Pid(), NULL, 10000);
    ASSERT_TRUE(hPrint != NULL) << "no print dialog";
    hCombo = PrinterCombo(hPrint);
    ASSERT_TRUE(hCombo != NULL);
    EXPECT_EQ(kTestPrinterB, ComboSelection(hCombo)) << "the print dialog starts from the default printer";
    ClickDialogButton(hPrint, IDOK);
    EXPECT_EQ(1, WaitForPages("b.ps")) << "Print Current Puzzle did not print on the chosen printer";
    EXPECT_EQ(-1, PagesOf("a.ps"));
    EXPECT_EQ(0, CloseWithoutSaving(game));
}
