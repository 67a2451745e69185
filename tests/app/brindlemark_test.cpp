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
#include "support/icon_files.h"
#include "support/mouseinput.h"
#include "support/packed_bytes.h"
#include "support/registry.h"
#include "support/snapshot.h"
#include "support/wndtest.h"

#include "ApplicationInfo.h"
#include "XTPCommandBarsExchange.h"
#include "XTPImageManager.h"
#include "XTPZipMemFile.h"
#include "resource.h"

#include <algorithm>
#include <fstream>
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

// A visible top-level window of the process with that title, waited for.
HWND WaitForWindow(DWORD dwPid, const std::string& strTitle, int nMilliseconds = 15000)
{
    for (int n = 0; n < nMilliseconds / 50; n++)
    {
        FindData data = {dwPid, strTitle, NULL};
        ::EnumWindows(&FindTopLevel, (LPARAM)&data);
        if (data.hWnd != NULL)
            return data.hWnd;
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

void ClickScreen(POINT pt, bool bRight)
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
    testsupport::SendInputs({MouseInput(dwAt | (bRight ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN), pt),
                             MouseInput(dwAt | (bRight ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP), pt)});
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
    Game(const std::string& strArguments = std::string())
    {
        std::string strCommand = "\"" + ExePath() + "\"" + strArguments;
        STARTUPINFO si = {};
        si.cb = sizeof(si);
        std::vector<char> command(strCommand.begin(), strCommand.end());
        command.push_back(0);
        if (!::CreateProcess(NULL, command.data(), NULL, NULL, FALSE, 0, NULL, NULL, &si, &m_pi))
            return;
        ::WaitForInputIdle(m_pi.hProcess, 10000);
        m_hWnd = WaitForWindow(m_pi.dwProcessId, "Untitled - Brindlemark");
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
    for (int n = 0; n < 60; n++)
    {
        for (HWND hWnd : TopLevels(dwPid, "XTPPopupBar"))
            if (::IsWindowVisible(hWnd))
                return hWnd;
        Wait(50);
    }
    return NULL;
}

bool IsFloating(HWND hWnd)
{
    return hWnd != NULL && (::GetWindowLong(hWnd, GWL_STYLE) & WS_CHILD) == 0;
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
        HWND hBar = TimerBar(game);
        ASSERT_TRUE(hBar != NULL);
        RECT rc;
        ::GetWindowRect(hBar, &rc);
        DragScreen({rc.left + 3, (rc.top + rc.bottom) / 2}, {500, 400});
        hBar = TimerBar(game);
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
    for (int n = 0; n < nMilliseconds / 50; n++)
    {
        for (HWND hWnd : TopLevels(dwPid, "#32770"))
            if (::IsWindowVisible(hWnd))
                return hWnd;
        Wait(50);
    }
    return NULL;
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
    for (int n = 0; n < nMilliseconds / 50; n++)
    {
        for (HWND hWnd : TopLevels(dwPid, "#32770"))
            if (hWnd != hOther && ::IsWindowVisible(hWnd))
                return hWnd;
        Wait(50);
    }
    return NULL;
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
// nClicks clicks of one button at a point, sent at once, as quick as a
// player's double or triple click.
void QuickClicksScreen(POINT pt, bool bRight, int nClicks)
{
    using testsupport::MouseInput;
    const DWORD dwAt = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    POINT ptNow = {-1, -1};
    for (int n = 0; n < 40 && (ptNow.x != pt.x || ptNow.y != pt.y); n++)
    {
        testsupport::SendInputs({MouseInput(dwAt, pt)});
        Wait(50);
        ::GetCursorPos(&ptNow);
    }
    EXPECT_TRUE(ptNow.x == pt.x && ptNow.y == pt.y) << "pointer at " << ptNow.x << "," << ptNow.y;
    std::vector<INPUT> inputs;
    for (int i = 0; i < nClicks; i++)
    {
        inputs.push_back(MouseInput(dwAt | (bRight ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN), pt));
        inputs.push_back(MouseInput(dwAt | (bRight ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP), pt));
    }
    testsupport::SendInputs(inputs);
    Wait(300);
}

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
        QuickClicksScreen(pt, bRight, 2);
        Wait(1000);
        EXPECT_TRUE(before == ScreenPatch(ptCorner)) << pszButton << ": the double click's second click was lost";
        Wait(600);
        // A triple click: three changes, the square changed.
        QuickClicksScreen(pt, bRight, 3);
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
    std::string strCommand = "\"" + ExePath() + "\" \"" + strFile + "\"";
    std::vector<char> command(strCommand.begin(), strCommand.end());
    command.push_back(0);
    STARTUPINFO si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    ASSERT_TRUE(::CreateProcess(NULL, command.data(), NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi));
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
    for (int n = 0; n < nMilliseconds / 50; n++)
    {
        for (HWND hWnd : TopLevels(dwPid, "ListBox"))
            if (::IsWindowVisible(hWnd))
                return hWnd;
        Wait(50);
    }
    return NULL;
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
