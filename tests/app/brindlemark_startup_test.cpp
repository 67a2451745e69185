// The game's start and its frame, played from outside as a player would:
// the first start from no stored state and what exit keeps, damaged stored
// state, the splash and start-up messages, exits and restarts in a row, the
// menus and the status bar, captions and menus at larger text sizes, and
// what the profile panes a stored layout brings back show.
// ctest: run-serial
// ctest: lock registry
#include "brindlemark_fixture.h"
#include "brindlemark_floating.h"

#include "support/canvas.h"
#include "support/logpixels.h"
#include "support/mouseinput.h"
#include "support/snapshot.h"
#include "support/watchdog.h"

#include "ApplicationInfo.h"
#include "HTDataContainer.h"
#include "resource.h"

#include <oleacc.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cwchar>
#include <set>
#include <string>
#include <vector>

using namespace gametest;

namespace
{
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

// The stored layout's record of the floating Appearance pane given an id
// the game does not make (as another build could leave it): the game starts
// without that pane, View shows one Appearance pane, and the stray pane is
// never stored again.
TEST_F(Brindlemark, AStoredPaneOfAnIdTheGameDoesNotMakeIsDroppedForGood)
{
    {
        Game first;
        ASSERT_TRUE(first.Frame() != NULL);
        first.ToFront();
        ChooseProfilePaneEntry(first, false);
        std::vector<HWND> containers = VisibleDescendants(first.Frame(), "XTPDockingPaneTabbedContainer");
        ASSERT_EQ(1u, containers.size());
        RECT rc;
        ::GetWindowRect(containers[0], &rc);
        ClickScreen({rc.left + 20, rc.top + 8}, false, 2);   // a double click on its caption floats it
        ASSERT_TRUE(WaitForVisibleTopLevel(first.Pid(), "XTPDockingPaneMiniWnd", 3000) != NULL);
        EXPECT_EQ(0, first.Close());
    }
    const std::string strSection = "DockingPaneLayouts\\NormalLayout";
    EXPECT_EQ("P1000", testsupport::UserProfileString(strSection.c_str(), "FloatingOrder"));
    // The record of pane 1000 and the ids of all records.
    auto storedPaneIDs = [&strSection]() {
        std::vector<int> ids;
        const int nCount = testsupport::UserProfileInt((strSection + "\\Summary").c_str(), "Panes");
        for (int n = 1; n <= nCount; n++)
        {
            const std::string strPane = strSection + "\\Pane-" + std::to_string(n);
            if (testsupport::UserProfileInt(strPane.c_str(), "Type") == 0)
                ids.push_back(testsupport::UserProfileInt(strPane.c_str(), "ID"));
        }
        return ids;
    };
    ASSERT_EQ(std::vector<int>{1000}, storedPaneIDs());
    HKEY hKey = NULL;
    ASSERT_EQ(ERROR_SUCCESS, ::RegOpenKeyExA(HKEY_CURRENT_USER,
                                             (std::string(kUserKey) + "\\" + strSection + "\\Pane-1").c_str(), 0,
                                             KEY_WRITE, &hKey));
    const DWORD dwStrange = 5000;
    ::RegSetValueExA(hKey, "ID", 0, REG_DWORD, (const BYTE*)&dwStrange, sizeof(dwStrange));
    ::RegCloseKey(hKey);

    for (int nStart = 0; nStart < 2; nStart++)
    {
        SCOPED_TRACE(nStart == 0 ? "the start after" : "the next start");
        Game game;
        ASSERT_TRUE(game.Frame() != NULL);
        EXPECT_TRUE(VisibleTopLevels(game.Pid(), "XTPDockingPaneMiniWnd").empty()) << "no floating pane";
        // At first no pane shows, and View shows one Appearance pane,
        // docked; the next start shows that one as it was left.
        EXPECT_EQ(nStart == 0 ? 0u : 1u, VisibleDescendants(game.Frame(), "XTPDockingPaneTabbedContainer").size());
        if (nStart == 0)
        {
            game.ToFront();
            ChooseProfilePaneEntry(game, false);
            EXPECT_EQ(1u, VisibleDescendants(game.Frame(), "XTPDockingPaneTabbedContainer").size());
            EXPECT_TRUE(VisibleTopLevels(game.Pid(), "XTPDockingPaneMiniWnd").empty());
        }
        EXPECT_EQ(0, game.Close());
        const std::vector<int> ids = storedPaneIDs();
        EXPECT_TRUE(std::find(ids.begin(), ids.end(), 5000) == ids.end()) << "the stray pane is not stored";
        EXPECT_EQ(std::string::npos, testsupport::UserProfileString(strSection.c_str(), "FloatingOrder").find("P5000"));
    }
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
    HWND hFrame = game.ToFront();

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
    WaitForPuzzleMade(game, hNew);
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

    EXPECT_EQ(0, CloseWithoutSaving(game));
    EmptyTheClipboard();
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
        HWND hWnd = WaitForWindow(dwPid, "", 0);
        RECT rc;
        if (hWnd != NULL && ::GetWindowRect(hWnd, &rc) && rc.right - rc.left == cx && rc.bottom - rc.top == cy)
            return hWnd;
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

    PROCESS_INFORMATION pi = {};
    ASSERT_TRUE(StartGameWith("", pi));
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
    PROCESS_INFORMATION pi = {};
    ASSERT_TRUE(StartGameWith(" \"" + strFile + "\"", pi));
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
        {
            ASSERT_TRUE(StartGame(next));
        }
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
        game.ToFront(100);
        PressKeys({VK_MENU, VK_F4});
        HWND hQuestion = WaitForDialogOtherThan(game.Pid(), NULL, 10000);
        ASSERT_TRUE(hQuestion != NULL) << "round " << i << ": no save question";
        ClickDialogButton(hQuestion, IDNO);   // Don't Save
        EXPECT_EQ(0, game.WaitForExit()) << "round " << i << ": the process "
                                         << DescribeProcess(game.Handle(), game.Pid());
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

namespace
{
// The font of the game's bars and menus at a text size: the system's menu
// font for that size (a program started at that size gets it).
LOGFONTA BarFontAt(UINT nDpi)
{
    NONCLIENTMETRICSA ncm = {};
    ncm.cbSize = 340; // the layout without the padded-border field
    ::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, ncm.cbSize, &ncm, 0);
    LOGFONTA lf = ncm.lfMenuFont;
    typedef BOOL(WINAPI * PFNSPIFORDPI)(UINT, UINT, PVOID, UINT, UINT);
    PFNSPIFORDPI pfn = reinterpret_cast<PFNSPIFORDPI>(
        ::GetProcAddress(::GetModuleHandleA("user32.dll"), "SystemParametersInfoForDpi"));
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
        testsupport::LogPixelsSetting dpi(nDpi);
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

namespace
{
// The rows of a property grid's view as an accessibility client in another
// program reads them: each row's name and value.
std::vector<std::pair<std::wstring, std::wstring>> GridRows(HWND hView)
{
    static const HRESULT s_hrCom = ::CoInitialize(NULL);
    (void)s_hrCom;
    std::vector<std::pair<std::wstring, std::wstring>> rows;
    IAccessible* pView = NULL;
    const HRESULT hr = ::AccessibleObjectFromWindow(hView, (DWORD)OBJID_CLIENT, IID_IAccessible, (void**)&pView);
    if (FAILED(hr) || pView == NULL)
    {
        ADD_FAILURE() << "no accessible object of a grid, 0x" << std::hex << hr;
        return rows;
    }
    long nCount = 0;
    pView->get_accChildCount(&nCount);
    VARIANT self;
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    for (long i = 1; i <= nCount; i++)
    {
        VARIANT child = self;
        child.lVal = i;
        IDispatch* pDispatch = NULL;
        IAccessible* pRow = NULL;
        if (pView->get_accChild(child, &pDispatch) == S_OK && pDispatch != NULL)
        {
            pDispatch->QueryInterface(IID_IAccessible, (void**)&pRow);
            pDispatch->Release();
        }
        BSTR bstrName = NULL, bstrValue = NULL;
        if (pRow != NULL)
        {
            pRow->get_accName(self, &bstrName);
            pRow->get_accValue(self, &bstrValue);
            pRow->Release();
        }
        rows.emplace_back(bstrName != NULL ? bstrName : L"", bstrValue != NULL ? bstrValue : L"");
        ::SysFreeString(bstrName);
        ::SysFreeString(bstrValue);
    }
    pView->Release();
    return rows;
}

// The colour the board draws its square borders in, read from the screen
// right of the centre of a square of the start's 9 x 9 board that no
// floating window covers.
COLORREF BoardSquareBorder(Game& game)
{
    for (int nSquare = 0; nSquare < 81; nSquare++)
    {
        const RECT rc = game.SquareRect(9, 9, nSquare % 9, nSquare / 9);
        POINT pt = {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
        if (::WindowFromPoint(pt) != game.View() || ::WindowFromPoint({rc.right + 2, pt.y}) != game.View())
            continue;
        const COLORREF crFill = ScreenColour(pt);
        while (pt.x <= rc.right + 2 && ScreenColour(pt) == crFill)
            pt.x++;
        return ScreenColour(pt);
    }
    ADD_FAILURE() << "floating windows cover the whole board";
    return CLR_INVALID;
}

std::wstring ColourText(COLORREF cr)
{
    return std::to_wstring(GetRValue(cr)) + L"; " + std::to_wstring(GetGValue(cr)) + L"; " +
           std::to_wstring(GetBValue(cr));
}

// TRUE when the clock display shows the colour of a colour row's text on
// the screen (a channel of 0 drawn as 1: the display keeps its colours
// apart so).
bool ClockShows(const Game& game, const std::wstring& strColour)
{
    int r = 0, g = 0, b = 0;
    swscanf(strColour.c_str(), L"%d; %d; %d", &r, &g, &b);
    const COLORREF cr = RGB(std::max(r, 1), std::max(g, 1), std::max(b, 1));
    const RECT rc = WindowRect(::GetDlgItem(TimerBar(game), ID_TIMER_CLOCK));
    for (int y = rc.top; y < rc.bottom; y++)
        for (int x = rc.left; x < rc.right; x += 2)
            if (ScreenColour({x, y}) == cr)
                return true;
    return false;
}

// The profile panes that show (docked, slid out or floating) show the
// profile of the position on the board, the start's 9 x 9 board: the
// appearance pane's Square Border Colour row in the colour of the board's
// square borders, its swatch seen so on the screen, and its Off Colour
// among the clock display's colours; the difficulty pane's Columns and Rows
// as 9. nPanes: how many panes show.
void ExpectPanesShowTheBoardsProfile(Game& game, size_t nPanes, const char* pszLayout)
{
    SCOPED_TRACE(pszLayout);
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(game.Frame(), std::string("panes_restored_") + pszLayout).empty());
    std::vector<HWND> views = Descendants(game.Frame(), "", "ListBox");
    for (HWND hMini : VisibleTopLevels(game.Pid(), "XTPDockingPaneMiniWnd"))
        for (HWND hView : Descendants(hMini, "", "ListBox"))
            views.push_back(hView);
    const COLORREF crBoard = BoardSquareBorder(game);
    size_t nSeen = 0;
    for (HWND hView : views)
    {
        char szParent[32] = "";
        ::GetClassNameA(::GetParent(hView), szParent, sizeof(szParent));
        if (!::IsWindowVisible(hView) || std::string(szParent) != "XTPPropertyGrid")
            continue;
        const std::vector<std::pair<std::wstring, std::wstring>> rows = GridRows(hView);
        for (size_t i = 0; i < rows.size(); i++)
        {
            if (rows[i].first == L"Columns" || rows[i].first == L"Rows")
            {
                EXPECT_EQ(L"9", rows[i].second) << "the difficulty pane's " << i;
                nSeen++;
            }
            if (rows[i].first == L"Off Colour")
            {
                EXPECT_TRUE(ClockShows(game, rows[i].second)) << "the clock's unlit dots in " << rows[i].second;
            }
            if (rows[i].first != L"Square Border Colour")
                continue;
            nSeen += 2;
            EXPECT_EQ(ColourText(crBoard), rows[i].second) << "the appearance pane's text";
            // The swatch at the left of the value, right of the grid's
            // divider in the middle of the view.
            RECT rcRow = {}, rcView = {};
            ::SendMessage(hView, LB_GETITEMRECT, i, (LPARAM)&rcRow);
            ::GetClientRect(hView, &rcView);
            POINT pt = {rcView.right / 2 + 9, (rcRow.top + rcRow.bottom) / 2};
            ::ClientToScreen(hView, &pt);
            ASSERT_EQ(hView, ::WindowFromPoint(pt)) << "the swatch is covered";
            EXPECT_EQ(crBoard, ScreenColour(pt)) << "the appearance pane's swatch";
        }
    }
    EXPECT_EQ(2 * nPanes, nSeen) << "the panes' rows were not all found";
}
} // namespace

// Every profile pane, however the stored layout brings it back at the start
// (docked, auto-hidden and slid out, floating), shows the profile of the
// position the board shows, as a pane opened by its command does.
TEST_F(Brindlemark, ProfilePanesRestoredAtTheStartShowTheBoardsProfile)
{
    testsupport::Watchdog watchdog("profile panes restored at the start", 300000);
    {
        // The first run of a version keeps no layout; its panes are stored.
        Game first;
        ASSERT_TRUE(first.Frame() != NULL);
        watchdog.AlsoEnd(first.Process());
        ChooseProfilePaneEntry(first, false);
        ChooseProfilePaneEntry(first, true);
        ASSERT_EQ(2u, VisibleDescendants(first.Frame(), "XTPPropertyGrid").size()) << "the panes did not open";
        ExpectPanesShowTheBoardsProfile(first, 2, "opened_by_their_commands");
        ASSERT_EQ(0, first.Close());
    }
    {
        Game docked;
        ASSERT_TRUE(docked.Frame() != NULL);
        watchdog.AlsoEnd(docked.Process());
        ExpectPanesShowTheBoardsProfile(docked, 2, "docked");
        // The appearance pane (docked first, right of the other) pinned.
        std::vector<HWND> containers = VisibleDescendants(docked.Frame(), "XTPDockingPaneTabbedContainer");
        ASSERT_EQ(2u, containers.size());
        ClickPin(WindowRect(containers[0]).left > WindowRect(containers[1]).left ? containers[0] : containers[1]);
        ASSERT_EQ(1u, VisibleDescendants(docked.Frame(), "XTPDockingPaneAutoHidePanel").size()) << "not pinned";
        ASSERT_EQ(0, docked.Close());
    }
    {
        Game pinned;
        ASSERT_TRUE(pinned.Frame() != NULL);
        watchdog.AlsoEnd(pinned.Process());
        std::vector<HWND> panels = VisibleDescendants(pinned.Frame(), "XTPDockingPaneAutoHidePanel");
        ASSERT_EQ(1u, panels.size()) << "no tab after the restart";
        ASSERT_TRUE(BringFrameToFront(pinned.Frame()));
        const RECT rcPanel = WindowRect(panels[0]);
        ::SetCursorPos((rcPanel.left + rcPanel.right) / 2, rcPanel.top + 40);
        for (int n = 0; n < 40 && VisibleDescendants(pinned.Frame(), "XTPPropertyGrid").size() < 2; n++)
            Wait(100);
        ASSERT_EQ(2u, VisibleDescendants(pinned.Frame(), "XTPPropertyGrid").size()) << "the pane did not slide out";
        Wait(500);
        ExpectPanesShowTheBoardsProfile(pinned, 2, "slid_out");
        ASSERT_EQ(0, pinned.Close());
    }
    ASSERT_TRUE(ImportRegistryText(kTwoFloatingPanesReg)) << "the stored layout was not imported";
    Game floating;
    ASSERT_TRUE(floating.Frame() != NULL);
    watchdog.AlsoEnd(floating.Process());
    ASSERT_TRUE(BringFrameToFront(floating.Frame()));
    ASSERT_EQ(2u, VisibleTopLevels(floating.Pid(), "XTPDockingPaneMiniWnd").size()) << "the panes do not float";
    ExpectPanesShowTheBoardsProfile(floating, 2, "floating");
    EXPECT_EQ(0, floating.Close());
    ClearSettings();
}
