// Customisation: custom toolbars made in Customize, the button image
// editor's imports, the keyboard page, and the player's stored bars and
// shortcuts, whole or damaged, across exit and restart.
// ctest: run-serial
// ctest: lock registry
#include "brindlemark_fixture.h"

#include "support/bars_frame.h"
#include "support/canvas.h"
#include "support/copied_program.h"
#include "support/crafted_metafiles.h"
#include "support/data_files.h"
#include "support/icon_files.h"
#include "support/keyinput.h"
#include "support/memory.h"
#include "support/metafiles.h"
#include "support/mouseinput.h"
#include "support/packed_bytes.h"
#include "support/snapshot.h"

#include "XTPCommandBarsExchange.h"
#include "XTPImageManager.h"
#include "XTPMetafileRenderer.h"
#include "XTPZipMemFile.h"
#include "resource.h"

#include <commctrl.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstddef>
#include <fstream>
#include <string>
#include <vector>

using namespace gametest;

namespace
{
// On the Customize sheet's Toolbars page, the toolbar's row selected and
// Delete pressed; false, with the reason as a failure, when the page has no
// such row or no Delete button.
bool DeleteFromToolbarsPage(HWND hSheet, HWND hPage, const char* pszBar)
{
    HWND hList = ::GetDlgItem(hPage, 100);
    const int nItem = (int)::SendMessageA(hList, LB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)pszBar);
    EXPECT_GE(nItem, 0) << "no row " << pszBar << " on the Toolbars page";
    if (nItem < 0)
        return false;
    ::SendMessage(hList, LB_SETCURSEL, nItem, 0);
    ::PostMessage(hPage, WM_COMMAND, MAKEWPARAM(100, LBN_SELCHANGE), (LPARAM)hList);
    Wait(300);
    return PressChildButton(hSheet, "&Delete");
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
        ASSERT_TRUE(DeleteFromToolbarsPage(hSheet, hPage, "Custom 1"));
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
    return VisibleTopLevels(dwPid, "XTPPopupBar");
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
    ASSERT_TRUE(DeleteFromToolbarsPage(hSheet, hPage, "Custom 1"));
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
// With the Customize sheet open, the Button Editor of the Standard
// toolbar's first button: a right click on the button, then E for "Edit
// Button Image...". The editor in front, or NULL when none opens.
HWND OpenButtonEditor(const Game& game)
{
    std::vector<HWND> standard = Descendants(game.Frame(), "Standard", "XTPToolBar");
    EXPECT_FALSE(standard.empty()) << "no Standard toolbar";
    if (standard.empty())
        return NULL;
    RECT rcBar;
    ::GetWindowRect(standard[0], &rcBar);
    ClickScreen({rcBar.left + 14, (rcBar.top + rcBar.bottom) / 2}, true);
    PressKeys({'E'});
    HWND hEditor = WaitForWindow(game.Pid(), "Button Editor", 5000);
    if (hEditor != NULL)
        ::SetForegroundWindow(hEditor);
    Wait(300);
    return hEditor;
}

// The button editor's canvas on the screen; false, with the reason as a
// failure, when the editor has none.
bool CanvasRect(HWND hEditor, RECT* prc)
{
    HWND hCanvas = ::GetDlgItem(hEditor, 100);
    EXPECT_TRUE(hCanvas != NULL) << "the editor has no canvas";
    return hCanvas != NULL && ::GetWindowRect(hCanvas, prc);
}

// A dot drawn with the pencil at a point of the editor's canvas: the screen
// there once it changed; empty, with the reason as a failure, when the
// pencil drew nothing.
Patch DrawDot(POINT pt)
{
    const Patch blank = ScreenPatch(pt);
    ClickScreen(pt, false);
    const Patch drawn = WaitForPatch(pt, blank, false);
    EXPECT_NE(blank, drawn) << "the pencil drew nothing";
    return drawn != blank ? drawn : Patch();
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

        HWND hEditor = OpenButtonEditor(game);
        ASSERT_TRUE(hEditor != NULL) << "the context menu opened no button editor";

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
        game.ToFront(300);
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

// Escape closes the Button Editor, as a player does, then the Customize
// sheet's Close and the game's exit.
void CloseEditorSheetAndGame(Game& game, HWND hEditor, HWND hSheet)
{
    ::SetForegroundWindow(hEditor);
    Wait(200);
    PressKeys({VK_ESCAPE});
    EXPECT_TRUE(WaitUntilGone(hEditor, 5000)) << "Escape closes the editor";
    ::SetForegroundWindow(hSheet);
    ASSERT_TRUE(PressChildButton(hSheet, "Close"));
    EXPECT_EQ(0, game.Close());
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
        HWND hEditor = OpenButtonEditor(game);
        ASSERT_TRUE(hEditor != NULL) << "the context menu opened no button editor";

        // A black dot drawn with the pencil in the middle of the canvas.
        RECT rcCanvas = {};
        ASSERT_TRUE(CanvasRect(hEditor, &rcCanvas));
        const POINT ptCell = {(rcCanvas.left + rcCanvas.right) / 2, (rcCanvas.top + rcCanvas.bottom) / 2};
        const Patch drawn = DrawDot(ptCell);
        ASSERT_FALSE(drawn.empty());

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

        CloseEditorSheetAndGame(game, hEditor, hSheet);
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
        HWND hEditor = OpenButtonEditor(game);
        ASSERT_TRUE(hEditor != NULL) << "the context menu opened no button editor";

        // A black dot in the middle of the canvas, and a second one drawn
        // and undone: Redo stays on until an import makes a new step.
        RECT rcCanvas = {};
        ASSERT_TRUE(CanvasRect(hEditor, &rcCanvas));
        const POINT ptCell = {(rcCanvas.left + rcCanvas.right) / 2, (rcCanvas.top + rcCanvas.bottom) / 2};
        const POINT ptCorner = {rcCanvas.left + 4, rcCanvas.top + 4};
        const Patch drawn = DrawDot(ptCell);
        ASSERT_FALSE(drawn.empty());
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

        CloseEditorSheetAndGame(game, hEditor, hSheet);
    }
    for (const std::string& strPath : files)
        ::DeleteFileA(strPath.c_str());
    ClearSettings();
}

namespace
{
// The game with the Standard toolbar's Button Editor open from the Customize
// sheet and a pencil step undone there, so that Redo is on until an import
// makes a new step. Close() ends it all with Escape, as a player does.
struct EditorSession
{
    EditorSession() { Open(); }
    // With a copy of the game started from its wide-character path.
    explicit EditorSession(const std::wstring& strGame) : game(strGame) { Open(); }
    void Open()
    {
        if (game.Frame() == NULL)
            return;
        ::SetForegroundWindow(game.Frame());
        hSheet = OpenCustomize(game);
        hEditor = hSheet != NULL ? OpenButtonEditor(game) : NULL;
        RECT rcCanvas = {};
        if (hEditor == NULL || !CanvasRect(hEditor, &rcCanvas))
            return;
        const POINT ptCorner = {rcCanvas.left + 4, rcCanvas.top + 4};
        const Patch blank = ScreenPatch(ptCorner);
        ClickScreen(ptCorner, false);
        EXPECT_NE(blank, WaitForPatch(ptCorner, blank, false)) << "the pencil drew nothing";
        ::PostMessage(hEditor, WM_COMMAND, 9144, 0);   // Undo
        for (HWND hBar : Descendants(hEditor, "", TOOLBARCLASSNAMEA))
        {
            if (::SendMessage(hBar, TB_COMMANDTOINDEX, 9145, 0) >= 0)
                hRedoBar = hBar;
        }
        for (int n = 0; n < 100 && hRedoBar != NULL && !RedoOn(); n++)
            Wait(50);
    }
    bool Ready() const { return hRedoBar != NULL && RedoOn(); }
    bool RedoOn() const { return ::SendMessage(hRedoBar, TB_ISBUTTONENABLED, 9145, 0) != 0; }
    void Close()
    {
        CloseEditorSheetAndGame(game, hEditor, hSheet);
    }
    // Import from File, the file named in wide characters in the Open dialog.
    void StartImport(const std::wstring& strPath)
    {
        ::PostMessage(hEditor, WM_COMMAND, 9146, 0);
        HWND hOpen = WaitForWindow(game.Pid(), "Open", 5000);
        ASSERT_TRUE(hOpen != NULL) << "Import opened no file dialog";
        ::SetDlgItemTextW(hOpen, 1148, strPath.c_str());
        ::SetDlgItemTextW(hOpen, 1152, strPath.c_str());
        ::PostMessage(hOpen, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    }
    // The text of the message the import shows (closed again), or empty
    // when the picture was drawn (undone again so that Redo is on).
    // pdwTook: from the Open dialog's OK to either.
    std::string Import(const std::wstring& strPath, DWORD* pdwTook = NULL)
    {
        StartImport(strPath);
        const DWORD dwStart = ::GetTickCount();
        HWND hMessage = NULL;
        while ((hMessage = WaitForWindow(game.Pid(), "Brindlemark", 0)) == NULL && RedoOn() &&
               ::GetTickCount() - dwStart < 8000)
            Wait(10);
        if (pdwTook != NULL)
            *pdwTook = ::GetTickCount() - dwStart;
        if (hMessage == NULL)
        {
            EXPECT_FALSE(RedoOn()) << "neither drawn nor refused";
            ::PostMessage(hEditor, WM_COMMAND, 9144, 0);   // Undo
            for (int n = 0; n < 100 && !RedoOn(); n++)
                Wait(50);
            return std::string();
        }
        const std::string strText = ShownText(hMessage);
        ::PostMessage(hMessage, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        EXPECT_TRUE(WaitUntilGone(hMessage, 5000)) << "OK closes the message";
        return strText;
    }
    // The text a message of the game shows: the longest of its windows',
    // in wide characters as it shows them.
    static std::wstring ShownTextW(HWND hMessage)
    {
        std::wstring strText;
        for (HWND hChild : Descendants(hMessage, "", ""))
        {
            wchar_t szText[1024] = L"";
            ::GetWindowTextW(hChild, szText, 1024);
            strText = wcslen(szText) > strText.size() ? std::wstring(szText) : strText;
        }
        return strText;
    }
    // The same in the system's code page.
    static std::string ShownText(HWND hMessage)
    {
        std::string strText;
        for (HWND hChild : Descendants(hMessage, "", ""))
        {
            char szText[1024] = "";
            ::GetWindowTextA(hChild, szText, sizeof(szText));
            strText = strlen(szText) > strText.size() ? std::string(szText) : strText;
        }
        return strText;
    }

    Game game;
    HWND hSheet = NULL;
    HWND hEditor = NULL;
    HWND hRedoBar = NULL;
};

bool WriteBytesW(const std::wstring& strPath, const std::vector<BYTE>& data)
{
    return testsupport::WriteFileW(strPath, std::string(data.begin(), data.end()));
}
} // namespace

// A player imports a bitmap and a metafile from a folder named in Cyrillic
// and Greek letters and from one named in Chinese characters: each is read
// by the name the Open dialog hands back. A file another program holds
// open is said not to open, and the image stays.
TEST_F(Brindlemark, PicturesInFoldersOfAnyLettersAreImportedIntoTheButtonEditor)
{
    const std::vector<BYTE> emf = testsupport::RecordEnh([](HDC hDC) {
        HBRUSH hBrush = ::CreateSolidBrush(RGB(0, 0, 255));
        RECT rc = {0, 0, 32, 32};
        ::FillRect(hDC, &rc, hBrush);
        ::DeleteObject(hBrush);
    });
    // "Игры Ω" and "图片"
    testsupport::CWideTempFolder cyrillic(L"\u0418\u0433\u0440\u044B \u03A9"), chinese(L"\u56FE\u7247");
    {
        EditorSession editor;
        ASSERT_TRUE(editor.Ready()) << "no Button Editor with a step to redo";
        RECT rcCanvas = {};
        ASSERT_TRUE(CanvasRect(editor.hEditor, &rcCanvas));
        const POINT ptMiddle = {(rcCanvas.left + rcCanvas.right) / 2, (rcCanvas.top + rcCanvas.bottom) / 2};
        for (const testsupport::CWideTempFolder* pFolder : {&cyrillic, &chinese})
        {
            const std::wstring strBmp = pFolder->Path(L"\u043A\u0430\u0440\u0442\u0438\u043D\u043A\u0430.bmp");
            const std::wstring strEmf = pFolder->Path(L"\u84DD.emf");
            ASSERT_TRUE(WriteBytesW(strBmp, OneBitBmp(16, 16)) && WriteBytesW(strEmf, emf));
            EXPECT_EQ("", editor.Import(strBmp)) << "the bitmap is read";
            EXPECT_EQ("", editor.Import(strEmf)) << "the metafile is read";
            ::PostMessage(editor.hEditor, WM_COMMAND, 9145, 0);   // Redo: the metafile again
            EXPECT_EQ(Patch(64, RGB(0, 0, 255)), WaitForPatch(ptMiddle, Patch(64, RGB(0, 0, 255)), true));
            if (pFolder == &chinese)
            {
                EXPECT_FALSE(testsupport::SaveScreenSnapshot(editor.hEditor, "button_editor_wide_folder").empty());
            }
            ::PostMessage(editor.hEditor, WM_COMMAND, 9144, 0);   // Undo
            Wait(300);
        }
        // Held open, shared with no one, by another program.
        const std::wstring strHeld = chinese.Path(L"\u84DD.emf");
        HANDLE hHeld = ::CreateFileW(strHeld.c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
        ASSERT_NE(INVALID_HANDLE_VALUE, hHeld);
        const Patch before = ScreenPatch(ptMiddle);
        EXPECT_EQ("The picture file could not be opened. The button image is unchanged.", editor.Import(strHeld));
        ::CloseHandle(hHeld);
        EXPECT_EQ(before, WaitForPatch(ptMiddle, before, true)) << "the image stays";
        editor.Close();
    }
    ClearSettings();
}

// A player imports pictures priced near the drawing limit and pictures
// with records that overrun the system's player: over the limit or damaged,
// each is refused at once with the picture's message; under it, and the
// damaged files' sound twins, each is drawn within the renderer's time.
TEST_F(Brindlemark, PricedAndOverrunningPicturesAreRefusedAtOnceAndTheirTwinsDrawn)
{
    testsupport::CWideTempFolder folder(L"Priced pictures");
    std::vector<std::pair<std::string, std::vector<BYTE>>> drawn, refused;
    for (testsupport::PricedPicture& picture : testsupport::PricedCopyPictures())
        (picture.bOverLimit ? refused : drawn).push_back({picture.pszName, picture.data});
    for (testsupport::DamagedRecordPicture& picture : testsupport::DamagedRecordPictures())
    {
        refused.push_back({std::string(picture.pszName) + "_damaged", picture.damaged});
        drawn.push_back({std::string(picture.pszName) + "_sound", picture.sound});
    }
    {
        EditorSession editor;
        ASSERT_TRUE(editor.Ready()) << "no Button Editor with a step to redo";
        for (const auto* pCases : {&refused, &drawn})
        {
            for (const auto& picture : *pCases)
            {
                SCOPED_TRACE(picture.first);
                const bool bEnhanced = testsupport::GetDword(picture.second, 0) == EMR_HEADER;
                const std::wstring strPath = folder.Path(std::wstring(picture.first.begin(), picture.first.end()) +
                                                         (bEnhanced ? L".emf" : L".wmf"));
                ASSERT_TRUE(WriteBytesW(strPath, picture.second));
                DWORD dwTook = 0;
                const std::string strOutcome = editor.Import(strPath, &dwTook);
                std::printf("%s: %s after %lu ms\n", picture.first.c_str(), strOutcome.empty() ? "drawn" : "refused",
                            (unsigned long)dwTook);
                ASSERT_TRUE(IsRunning(editor.game, editor.game.Pid())) << "the picture crashed the game";
                // Refused up front, the renderer's time limit never comes
                // into it; the dialog's closing and the message come on top.
                if (pCases == &refused)
                {
                    EXPECT_EQ("The picture could not be read. The button image is unchanged.", strOutcome);
                    EXPECT_LT(dwTook, 1000u);
                }
                else
                {
                    EXPECT_EQ("", strOutcome);
                    EXPECT_LT(dwTook, 2000u);
                }
            }
        }
        editor.Close();
    }
    ClearSettings();
}

namespace
{
// A picture that takes the renderer about a third of a second: tiny
// parallelogram copies priced just under the limit.
std::vector<BYTE> SlowPicture()
{
    for (testsupport::PricedPicture& picture : testsupport::PricedCopyPictures())
    {
        if (!picture.bOverLimit && strstr(picture.pszName, "parallelogram") != NULL)
            return picture.data;
    }
    return std::vector<BYTE>();
}

// The process id of the game's metafile renderer, waited for up to three
// seconds; 0 when none starts.
DWORD WaitForRenderer(DWORD dwGame)
{
    for (const DWORD dwStart = ::GetTickCount(); ::GetTickCount() - dwStart < 3000;)
    {
        HANDLE hSnapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
        PROCESSENTRY32 entry;
        entry.dwSize = sizeof(entry);
        for (BOOL bMore = ::Process32First(hSnapshot, &entry); bMore; bMore = ::Process32Next(hSnapshot, &entry))
        {
            if (entry.th32ParentProcessID == dwGame && lstrcmpiA(entry.szExeFile, "XTPMetafileRenderer.exe") == 0)
            {
                ::CloseHandle(hSnapshot);
                return entry.th32ProcessID;
            }
        }
        ::CloseHandle(hSnapshot);
    }
    return 0;
}
} // namespace

// While a picture that takes a while is drawn, the player presses Escape,
// Enter, or clicks Cancel: the editor stays, with the picture, and Escape
// pressed afterwards closes it.
TEST_F(Brindlemark, KeysAndClicksOnTheButtonEditorWhileAPictureIsDrawnAreDiscarded)
{
    testsupport::CWideTempFolder folder(L"Slow picture");
    const std::wstring strSlow = folder.Path(L"slow.emf");
    ASSERT_TRUE(WriteBytesW(strSlow, SlowPicture()));
    {
        EditorSession editor;
        ASSERT_TRUE(editor.Ready()) << "no Button Editor with a step to redo";
        RECT rc = {};
        ASSERT_TRUE(::GetWindowRect(::GetDlgItem(editor.hEditor, IDCANCEL), &rc));
        const POINT ptCancel = {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
        for (int nHow = 0; nHow < 3; nHow++)
        {
            SCOPED_TRACE(nHow == 0 ? "Escape" : nHow == 1 ? "Enter" : "a click on Cancel");
            // The pointer waits over Cancel for the click.
            for (int n = 0; n < 40 && nHow == 2; n++)
            {
                POINT ptNow = {-1, -1};
                if (::GetCursorPos(&ptNow) && ptNow.x == ptCancel.x && ptNow.y == ptCancel.y)
                    break;
                testsupport::SendInputs({testsupport::MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, ptCancel)});
                Wait(50);
            }
            editor.StartImport(strSlow);
            const DWORD dwRenderer = WaitForRenderer(editor.game.Pid());
            ASSERT_NE(0u, dwRenderer) << "the picture is not drawn by a renderer";
            HANDLE hRenderer = ::OpenProcess(SYNCHRONIZE, FALSE, dwRenderer);
            // At once, while the renderer draws.
            if (nHow < 2)
                testsupport::PressKeys({(WORD)(nHow == 0 ? VK_ESCAPE : VK_RETURN)});
            else
                testsupport::SendInputs(
                    {testsupport::MouseInput(MOUSEEVENTF_LEFTDOWN), testsupport::MouseInput(MOUSEEVENTF_LEFTUP)});
            EXPECT_EQ((DWORD)WAIT_TIMEOUT, ::WaitForSingleObject(hRenderer, 0)) << "the input came after the picture";
            ::CloseHandle(hRenderer);
            for (int n = 0; n < 100 && editor.RedoOn(); n++)
                Wait(50);
            Wait(500);   // for anything left to act
            ASSERT_TRUE(::IsWindow(editor.hEditor)) << "the editor closed";
            EXPECT_TRUE(WaitForWindow(editor.game.Pid(), "Brindlemark", 0) == NULL) << "no message";
            EXPECT_FALSE(editor.RedoOn()) << "the picture was drawn";
            ::PostMessage(editor.hEditor, WM_COMMAND, 9144, 0);   // Undo: Redo on for the next round
            for (int n = 0; n < 100 && !editor.RedoOn(); n++)
                Wait(50);
        }
        editor.Close();
    }
    ClearSettings();
}

// The renderer held before it takes the picture is named as not answering;
// the renderer ended from outside while it draws is named as ended; a
// renderer not there is named as missing. The game and its renderer lie in
// a folder named in letters outside the code page, which each message shows
// as they are. Each keeps the image, and the next import draws. The game's
// block for the renderer (named for the game, the call's number and the
// time it was made) says when the renderer has taken the picture.
TEST_F(Brindlemark, ARendererThatDoesNotAnswerOrIsEndedWhileItDrawsIsNamedSo)
{
    testsupport::CWideTempFolder folder(L"Renderer held and ended");
    const std::wstring strSlow = folder.Path(L"slow.emf");
    ASSERT_TRUE(WriteBytesW(strSlow, SlowPicture()));
    // "Игры 游戏 Ωψ"
    testsupport::CWideTempFolder place(L"\u0418\u0433\u0440\u044B \u6E38\u620F \u03A9\u03C8");
    const std::string strBuilt = ExePath();
    const std::wstring strBuiltGame(strBuilt.begin(), strBuilt.end());
    const std::wstring strBuiltRenderer =
        strBuiltGame.substr(0, strBuiltGame.find_last_of(L'\\') + 1) + XTP_METAFILE_RENDERER_EXE_W;
    const std::wstring strGame = place.Path(L"Brindlemark.exe");
    const std::wstring strRenderer = place.Path(XTP_METAFILE_RENDERER_EXE_W);
    ASSERT_TRUE(::CopyFileW(strBuiltGame.c_str(), strGame.c_str(), FALSE) &&
                ::CopyFileW(strBuiltRenderer.c_str(), strRenderer.c_str(), FALSE));
    for (int nHow = 0; nHow < 3; nHow++)
    {
        SCOPED_TRACE(nHow == 0 ? "ended while it draws" : nHow == 1 ? "held before it takes the picture" : "missing");
        if (nHow == 2)
            ASSERT_TRUE(::DeleteFileW(strRenderer.c_str()));
        EditorSession editor(strGame);
        ASSERT_TRUE(editor.Ready()) << "no Button Editor with a step to redo";
        editor.StartImport(strSlow);
        const DWORD dwStart = ::GetTickCount();
        if (nHow < 2)
        {
            const DWORD dwRenderer = WaitForRenderer(editor.game.Pid());
            ASSERT_NE(0u, dwRenderer) << "no renderer started";
            HANDLE hRenderer = ::OpenProcess(PROCESS_TERMINATE | PROCESS_SUSPEND_RESUME, FALSE, dwRenderer);
            ASSERT_TRUE(hRenderer != NULL);
            if (nHow == 1)
            {
                // Every thread of it held.
                HANDLE hSnapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
                THREADENTRY32 entry;
                entry.dwSize = sizeof(entry);
                for (BOOL bMore = ::Thread32First(hSnapshot, &entry); bMore; bMore = ::Thread32Next(hSnapshot, &entry))
                {
                    HANDLE hThread = entry.th32OwnerProcessID == dwRenderer
                                         ? ::OpenThread(THREAD_SUSPEND_RESUME, FALSE, entry.th32ThreadID)
                                         : NULL;
                    if (hThread != NULL)
                        ::SuspendThread(hThread), ::CloseHandle(hThread);
                }
                ::CloseHandle(hSnapshot);
            }
            XTP_METAFILE_RENDER_BLOCK* pBlock = NULL;
            HANDLE hMapping = NULL;
            while (pBlock == NULL && ::GetTickCount() - dwStart < 3000)
            {
                const DWORD dwNow = ::GetTickCount();
                for (DWORD dwTick = dwStart - 50; pBlock == NULL && (LONG)(dwNow - dwTick) >= 0; dwTick++)
                {
                    wchar_t szName[96];
                    _snwprintf(szName, 95, L"XTPMetafileRender.%lu.1.%lu", (unsigned long)editor.game.Pid(),
                               (unsigned long)dwTick);
                    szName[95] = 0;
                    if ((hMapping = ::OpenFileMappingW(FILE_MAP_READ, FALSE, szName)) != NULL)
                        pBlock = (XTP_METAFILE_RENDER_BLOCK*)::MapViewOfFile(hMapping, FILE_MAP_READ, 0, 0, 0);
                }
            }
            ASSERT_TRUE(pBlock != NULL) << "the game's block for the renderer was not found";
            if (nHow == 0)
            {
                while (pBlock->nStarted == 0 && ::GetTickCount() - dwStart < 3000)
                    Wait(1);
                ASSERT_EQ(1, pBlock->nStarted) << "the renderer never took the picture";
                ASSERT_EQ(-1, pBlock->nResult) << "the renderer answered before it could be ended";
                ::TerminateProcess(hRenderer, 1);
            }
            else
            {
                EXPECT_EQ(0, pBlock->nStarted) << "held too late: the renderer had taken the picture";
            }
            ::CloseHandle(hRenderer);
            ::UnmapViewOfFile(pBlock);
            ::CloseHandle(hMapping);
        }
        HWND hMessage = WaitForWindow(editor.game.Pid(), "Brindlemark", 5000);
        ASSERT_TRUE(hMessage != NULL) << "no message";
        const std::wstring strText = EditorSession::ShownTextW(hMessage);
        const std::string strStart = nHow == 0   ? "The program's picture renderer was ended before it finished "
                                                   "drawing the picture:"
                                     : nHow == 1 ? "The program's picture renderer was started but did not answer:"
                                                 : "Metafiles cannot be drawn because the program's picture renderer "
                                                   "is missing or cannot start:";
        // The path as the system has it, on a line of its own.
        EXPECT_TRUE(std::wstring(strStart.begin(), strStart.end()) + L"\n" + strRenderer +
                        L"\nThe button image is unchanged." ==
                    strText)
            << EditorSession::ShownText(hMessage);
        if (nHow != 1)
        {
            EXPECT_FALSE(testsupport::SaveScreenSnapshot(hMessage, nHow == 0 ? "button_editor_renderer_ended"
                                                                              : "button_editor_renderer_missing")
                             .empty());
        }
        ::PostMessage(hMessage, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        ASSERT_TRUE(WaitUntilGone(hMessage, 5000));
        EXPECT_TRUE(editor.RedoOn()) << "the image and its history stay";
        if (nHow == 2)
            ASSERT_TRUE(::CopyFileW(strBuiltRenderer.c_str(), strRenderer.c_str(), FALSE));
        EXPECT_EQ("", editor.Import(strSlow)) << "the next import draws";
        editor.Close();
    }
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
        game.ToFront();
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
        game.ToFront();
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
