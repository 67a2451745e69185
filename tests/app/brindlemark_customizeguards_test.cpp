// Customizing the game's bars with the real pointer and keys while the
// Customize sheet is open: the button editor opened from the customise
// context menu works on its own button alone, and the toolbars list of a
// menu (View > Toolbars) stays out of the toolbars.
// ctest: run-serial
// ctest: lock registry
#include "brindlemark_fixture.h"

#include "support/icon_files.h"
#include "support/mouseinput.h"
#include "support/snapshot.h"
#include "support/watchdog.h"

#include "resource.h"

#include <commctrl.h>
#include <oleacc.h>

#include <string>
#include <vector>

using namespace gametest;

namespace
{
POINT Centre(const RECT& rc)
{
    return {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
}

// The visible top-level windows of the process with that title.
std::vector<HWND> VisibleTitled(DWORD dwPid, const std::string& strTitle)
{
    std::vector<HWND> found;
    for (HWND hWnd : TopLevels(dwPid, ""))
        if (::IsWindowVisible(hWnd) && WindowText(hWnd) == strTitle)
            found.push_back(hWnd);
    return found;
}

// The docked bar of the frame with that title; NULL when it does not show.
HWND ShownBar(const Game& game, const std::string& strTitle)
{
    for (HWND hBar : Descendants(game.Frame(), strTitle, ""))
        if (::IsWindowVisible(hBar))
            return hBar;
    return NULL;
}

// The game's frame maximized and in front, under a watchdog that ends the
// game too; its docked Standard toolbar, or NULL when it does not show.
HWND StandardBarOfMaximizedGame(const Game& game, testsupport::Watchdog& watchdog)
{
    watchdog.AlsoEnd(game.Process());
    game.ToFront(500, true);
    return ShownBar(game, "Standard");
}

// Brings the pointer to pt and waits until it is seen there.
void MovePointer(POINT pt)
{
    const DWORD dwAt = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    POINT ptNow = {-1, -1};
    for (int n = 0; n < 40 && (ptNow.x != pt.x || ptNow.y != pt.y); n++)
    {
        testsupport::SendInputs({testsupport::MouseInput(dwAt, pt)});
        Wait(50);
        ::GetCursorPos(&ptNow);
    }
    EXPECT_TRUE(ptNow.x == pt.x && ptNow.y == pt.y) << "pointer at " << ptNow.x << "," << ptNow.y;
}

void SendKey(WORD vk, bool bUp)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.dwFlags = bUp ? KEYEVENTF_KEYUP : 0;
    ::SendInput(1, &input, sizeof(INPUT));
}

// Presses the left button at one point, moves to another in steps and lets
// go there; with bControl the Control key is held throughout (a copy).
void DragPointer(POINT ptFrom, POINT ptTo, bool bControl = false)
{
    using testsupport::MouseInput;
    const DWORD dwAt = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    MovePointer(ptFrom);
    if (bControl)
        SendKey(VK_CONTROL, false);
    testsupport::SendInputs({MouseInput(dwAt | MOUSEEVENTF_LEFTDOWN, ptFrom)});
    Wait(150);
    for (int i = 1; i <= 10; i++)
    {
        POINT pt = {ptFrom.x + (ptTo.x - ptFrom.x) * i / 10, ptFrom.y + (ptTo.y - ptFrom.y) * i / 10};
        testsupport::SendInputs({MouseInput(dwAt, pt)});
        Wait(60);
    }
    Wait(200);
    testsupport::SendInputs({MouseInput(dwAt | MOUSEEVENTF_LEFTUP, ptTo)});
    if (bControl)
        SendKey(VK_CONTROL, true);
    Wait(500);
}

// A control of a bar as the bar's accessible view gives it: its name and
// its place on the screen.
struct BarControl
{
    std::string strName;
    RECT rc;
};

// The controls of a bar of the game, read through the bar's accessible view
// (the bar lives in the game's process).
std::vector<BarControl> BarControls(HWND hBar)
{
    static const HRESULT s_hrCom = ::CoInitialize(NULL);
    (void)s_hrCom;
    std::vector<BarControl> controls;
    IAccessible* pAcc = NULL;
    HRESULT hr = ::AccessibleObjectFromWindow(hBar, (DWORD)OBJID_CLIENT, IID_IAccessible, (void**)&pAcc);
    EXPECT_TRUE(SUCCEEDED(hr) && pAcc != NULL) << "no accessible view of the bar, 0x" << std::hex << hr;
    if (pAcc == NULL)
        return controls;
    long nCount = 0;
    pAcc->get_accChildCount(&nCount);
    for (long i = 1; i <= nCount; i++)
    {
        VARIANT var;
        ::VariantInit(&var);
        var.vt = VT_I4;
        var.lVal = i;
        BarControl control = {"", {0, 0, 0, 0}};
        BSTR bstrName = NULL;
        if (SUCCEEDED(pAcc->get_accName(var, &bstrName)) && bstrName != NULL)
        {
            char szName[256] = "";
            ::WideCharToMultiByte(CP_ACP, 0, bstrName, -1, szName, sizeof(szName), NULL, NULL);
            control.strName = szName;
            ::SysFreeString(bstrName);
        }
        long x = 0, y = 0, cx = 0, cy = 0;
        pAcc->accLocation(&x, &y, &cx, &cy, var);
        control.rc = {x, y, x + cx, y + cy};
        controls.push_back(control);
    }
    pAcc->Release();
    return controls;
}

// The names of a bar's controls that show (have a size), in order.
std::vector<std::string> ShownNames(HWND hBar)
{
    std::vector<std::string> names;
    for (const BarControl& control : BarControls(hBar))
        if (control.rc.right > control.rc.left && control.rc.bottom > control.rc.top)
            names.push_back(control.strName);
    return names;
}

// The screen rectangle of the bar's first shown control of that name;
// empty when there is none.
RECT ControlRect(HWND hBar, const std::string& strName)
{
    for (const BarControl& control : BarControls(hBar))
        if (control.strName == strName && control.rc.right > control.rc.left)
            return control.rc;
    return RECT{0, 0, 0, 0};
}

int CountNamed(const std::vector<std::string>& names, const std::string& strName)
{
    int n = 0;
    for (const std::string& str : names)
        n += str == strName ? 1 : 0;
    return n;
}

// The screen centre of a button of the editor's tools bar, by command id.
POINT EditorToolCentre(HWND hEditor, UINT nCommand)
{
    for (HWND hBar : Descendants(hEditor, "", TOOLBARCLASSNAMEA))
    {
        const int nIndex = (int)::SendMessage(hBar, TB_COMMANDTOINDEX, nCommand, 0);
        if (nIndex < 0)
            continue;
        RECT rc = {};
        ::SendMessage(hBar, TB_GETITEMRECT, (WPARAM)nIndex, (LPARAM)&rc);
        POINT pt = Centre(rc);
        ::ClientToScreen(hBar, &pt);
        return pt;
    }
    ADD_FAILURE() << "the editor has no tool button " << nCommand;
    return POINT{0, 0};
}

// The screen pixels of a control, inside a two-pixel margin.
std::vector<COLORREF> ControlPixels(const RECT& rc)
{
    std::vector<COLORREF> pixels;
    HDC hScreen = ::GetDC(NULL);
    for (int y = rc.top + 2; y < rc.bottom - 2; y++)
        for (int x = rc.left + 2; x < rc.right - 2; x++)
            pixels.push_back(::GetPixel(hScreen, x, y));
    ::ReleaseDC(NULL, hScreen);
    return pixels;
}

// The visible popup bar that shows a control of that name, waited for.
HWND WaitForMenuShowing(DWORD dwPid, const std::string& strName)
{
    for (int n = 0; n < 60; n++)
    {
        for (HWND hPopup : VisibleTopLevels(dwPid, "XTPPopupBar"))
            if (ControlRect(hPopup, strName).right > 0)
                return hPopup;
        Wait(50);
    }
    return NULL;
}
} // namespace

// The button editor opened for Branch on the Standard toolbar: while it is
// open, the player's clicks and drags on the bars (a second context menu
// and editor, deleting Branch by dragging it off, copying Accept with
// Control held) change nothing; resting the pointer on a tool button keeps
// the editor in front; OK gives the imported picture to Branch alone.
TEST_F(Brindlemark, TheButtonEditorChangesOnlyItsOwnButtonAndTheBarsWaitForIt)
{
    const std::string strPicture = WriteTempFile("bm-editor-picture.ico", testsupport::MakeFourBitIcon(1, 16));
    Game game;
    ASSERT_TRUE(game.Frame() != NULL);
    testsupport::Watchdog watchdog("the button editor test", 240000);
    HWND hStandard = StandardBarOfMaximizedGame(game, watchdog);
    ASSERT_TRUE(hStandard != NULL);
    // Branch as it shows outside customizing.
    const std::vector<COLORREF> branchBefore = ControlPixels(ControlRect(hStandard, "Branch"));
    HWND hSheet = OpenCustomize(game);
    ASSERT_TRUE(hSheet != NULL) << "the Customize sheet did not open";
    const std::vector<std::string> namesBefore = ShownNames(hStandard);
    ASSERT_EQ(1, CountNamed(namesBefore, "Branch"));
    ASSERT_EQ(1, CountNamed(namesBefore, "Accept"));
    const RECT rcBranch = ControlRect(hStandard, "Branch");
    const RECT rcAccept = ControlRect(hStandard, "Accept");
    const std::vector<COLORREF> acceptBefore = ControlPixels(rcAccept);

    // "Edit Button Image..." from Branch's context menu.
    ClickScreen(Centre(rcBranch), true);
    ASSERT_TRUE(WaitForPopupBar(game.Pid()) != NULL) << "no context menu";
    PressKeys({'E'});
    HWND hEditor = WaitForWindow(game.Pid(), "Button Editor", 5000);
    ASSERT_TRUE(hEditor != NULL) << "the context menu opened no button editor";
    Wait(300);

    // A second context menu, and E, on Branch: no second editor.
    ClickScreen(Centre(rcBranch), true);
    if (!VisibleTopLevels(game.Pid(), "XTPPopupBar").empty())
    {
        ADD_FAILURE() << "a context menu opened over the button editor";
        PressKeys({'E'});
    }
    Wait(500);
    EXPECT_EQ(1u, VisibleTitled(game.Pid(), "Button Editor").size()) << "one button editor at a time";
    EXPECT_TRUE(game.IsRunning());

    // Branch dragged off the bar onto the board, and Accept dragged with
    // Control held to the bar's start: both would change the bar.
    RECT rcFrame = WindowRect(game.Frame());
    DragPointer(Centre(rcBranch), {(rcFrame.left + rcFrame.right) / 2, (rcFrame.top + rcFrame.bottom) / 2});
    ASSERT_TRUE(game.IsRunning());
    RECT rcBar = WindowRect(hStandard);
    DragPointer(Centre(rcAccept), {rcBar.left + 12, (rcBar.top + rcBar.bottom) / 2}, true);
    ASSERT_TRUE(game.IsRunning());
    EXPECT_EQ(namesBefore, ShownNames(hStandard)) << "the bar changed under the open editor";
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(::GetDesktopWindow(), "editor_open_after_drags").empty());

    // The pointer resting on the pencil and on Clear: the editor stays in
    // front of the sheet, and takes the next click.
    ::SetForegroundWindow(hEditor);
    Wait(300);
    for (UINT nTool : {9135u, 9143u})
    {
        MovePointer(EditorToolCentre(hEditor, nTool));
        Wait(1500);
        EXPECT_TRUE(IsAbove(hEditor, hSheet)) << "the sheet came over the editor (tool " << nTool << ")";
        EXPECT_EQ(hEditor, ::GetForegroundWindow()) << "the editor lost the activation (tool " << nTool << ")";
    }
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(::GetDesktopWindow(), "editor_tool_tip").empty());
    ClickScreen(EditorToolCentre(hEditor, 9135), false);
    EXPECT_EQ(hEditor, ::GetForegroundWindow()) << "a click on the pencil went elsewhere";

    // The picture, and OK.
    ImportIntoEditor(game.Pid(), hEditor, strPicture);
    ::SetForegroundWindow(hEditor);
    Wait(300);
    ::PostMessage(hEditor, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    Wait(800);
    ASSERT_TRUE(game.IsRunning()) << "OK ended the game";
    EXPECT_TRUE(VisibleTitled(game.Pid(), "Button Editor").empty());
    ::RedrawWindow(hStandard, NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Wait(500);
    EXPECT_EQ(acceptBefore, ControlPixels(ControlRect(hStandard, "Accept"))) << "Accept changed";

    ::SetForegroundWindow(hSheet);
    Wait(300);
    ASSERT_TRUE(PressChildButton(hSheet, "Close"));
    Wait(500);
    EXPECT_EQ(namesBefore, ShownNames(hStandard));
    ::RedrawWindow(hStandard, NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Wait(500);
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(hStandard, "editor_standard_after_ok").empty());
    EXPECT_NE(branchBefore, ControlPixels(ControlRect(hStandard, "Branch"))) << "Branch did not take the picture";
    EXPECT_EQ(0, game.Close());
    ::DeleteFileA(strPicture.c_str());
    ClearSettings();
}

// In Customize, the toolbars list of View > Toolbars (shown as "Toolbar")
// dragged onto the Standard toolbar does not land there: the bar keeps its
// buttons, also after Customize closes, and shows no toggle buttons for the
// toolbars.
TEST_F(Brindlemark, TheToolbarsListDoesNotLandOnAToolbar)
{
    Game game;
    ASSERT_TRUE(game.Frame() != NULL);
    testsupport::Watchdog watchdog("the toolbars list test", 180000);
    HWND hStandard = StandardBarOfMaximizedGame(game, watchdog);
    ASSERT_TRUE(hStandard != NULL);
    const std::vector<std::string> namesBefore = ShownNames(hStandard);
    ASSERT_EQ(1, CountNamed(namesBefore, "Branch"));
    HWND hSheet = OpenCustomize(game);
    ASSERT_TRUE(hSheet != NULL) << "the Customize sheet did not open";

    // View, then Toolbars: the list shows as its one entry.
    HWND hMenuBar = ShownBar(game, "Menu Bar");
    ASSERT_TRUE(hMenuBar != NULL);
    const RECT rcView = ControlRect(hMenuBar, "View");
    ASSERT_GT(rcView.right, rcView.left) << "no View menu on the menu bar";
    ClickScreen(Centre(rcView), false);
    HWND hView = WaitForMenuShowing(game.Pid(), "Toolbars");
    ASSERT_TRUE(hView != NULL) << "View did not open";
    ClickScreen(Centre(ControlRect(hView, "Toolbars")), false);
    HWND hToolbars = WaitForMenuShowing(game.Pid(), "Toolbar");
    ASSERT_TRUE(hToolbars != NULL) << "View > Toolbars did not open";
    Wait(300);
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(::GetDesktopWindow(), "customize_toolbars_list").empty());
    const RECT rcList = ControlRect(hToolbars, "Toolbar");

    // Dragged onto the middle of Standard, between Undo and Branch.
    const RECT rcBranch = ControlRect(hStandard, "Branch");
    DragPointer(Centre(rcList), {rcBranch.left + 2, (rcBranch.top + rcBranch.bottom) / 2});
    ASSERT_TRUE(game.IsRunning());
    EXPECT_EQ(namesBefore, ShownNames(hStandard)) << "the list landed on the toolbar";
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(::GetDesktopWindow(), "customize_toolbars_list_dropped").empty());

    ::SetForegroundWindow(hSheet);
    Wait(300);
    ASSERT_TRUE(PressChildButton(hSheet, "Close"));
    Wait(800);
    const std::vector<std::string> namesAfter = ShownNames(hStandard);
    EXPECT_EQ(namesBefore, namesAfter) << "after Customize closed";
    EXPECT_EQ(0, CountNamed(namesAfter, "Standard"));
    EXPECT_EQ(0, CountNamed(namesAfter, "Timer"));
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(hStandard, "customize_toolbars_list_after").empty());

    // The list stayed in its menu: View > Toolbars names the toolbars.
    game.ToFront(300);
    ClickScreen(Centre(ControlRect(hMenuBar, "View")), false);
    hView = WaitForMenuShowing(game.Pid(), "Toolbars");
    ASSERT_TRUE(hView != NULL) << "View did not open after Customize";
    ClickScreen(Centre(ControlRect(hView, "Toolbars")), false);
    EXPECT_TRUE(WaitForMenuShowing(game.Pid(), "Standard") != NULL) << "View > Toolbars lost the toolbars list";
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(::GetDesktopWindow(), "customize_toolbars_list_menu_after").empty());
    PressKeys({VK_ESCAPE});
    PressKeys({VK_ESCAPE});
    EXPECT_EQ(0, game.Close());
    ClearSettings();
}
