// The bodies of the end-to-end tests' shared helpers.
#include "brindlemark_fixture.h"

#include "support/mouseinput.h"

#include "ApplicationInfo.h"
#include "HTDataContainer.h"
#include "resource.h"

#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace
{
::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new testsupport::Environment);
} // namespace

namespace gametest
{
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

HWND WaitForWindow(DWORD dwPid, const std::string& strTitle, int nMilliseconds)
{
    for (int n = 0; n < nMilliseconds / 50 + 1; n++)
    {
        for (HWND hWnd : TopLevels(dwPid, ""))
            if (::IsWindowVisible(hWnd) && WindowText(hWnd) == strTitle)
                return hWnd;
        if (n < nMilliseconds / 50)
            Wait(50);
    }
    return NULL;
}

bool WaitUntilGone(HWND hWnd, int nMilliseconds)
{
    for (int n = 0; n < nMilliseconds / 50 && ::IsWindow(hWnd); n++)
        Wait(50);
    return !::IsWindow(hWnd);
}

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

namespace
{

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

} // namespace

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

bool AnswerDialog(DWORD dwPid, const std::string& strButton)
{
    HWND hDialog = WaitForDialogOtherThan(dwPid, NULL, 10000);
    EXPECT_TRUE(hDialog != NULL) << "no dialog came to answer with " << strButton;
    if (hDialog == NULL)
        return false;
    Wait(200);
    ClickButton(hDialog, strButton);
    return WaitUntilGone(hDialog);
}

void ClickScreen(POINT pt, bool bRight, int nClicks)
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

bool IsCentredOver(HWND hWnd, HWND hOwner)
{
    RECT rc, rcOwner;
    ::GetWindowRect(hWnd, &rc);
    ::GetWindowRect(hOwner, &rcOwner);
    const int dx = (rc.left + rc.right) / 2 - (rcOwner.left + rcOwner.right) / 2;
    const int dy = (rc.top + rc.bottom) / 2 - (rcOwner.top + rcOwner.bottom) / 2;
    return dx >= -2 && dx <= 2 && dy >= -2 && dy <= 2;
}

void ClearSettings()
{
    testsupport::ClearUserSettings();
    testsupport::ClearGameRegistry();
}

namespace
{

// The top-level windows of the process of that class (of any class when
// none is named), visible or not.
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
    if (dwPid == pData->dwPid && (pData->strClass.empty() || pData->strClass == szClass))
        pData->found.push_back(hWnd);
    return TRUE;
}

} // namespace

std::vector<HWND> TopLevels(DWORD dwPid, const std::string& strClass)
{
    TopLevelData data = {dwPid, strClass, {}};
    ::EnumWindows(&FindTopLevelOfClass, (LPARAM)&data);
    return data.found;
}

std::vector<HWND> VisibleTopLevels(DWORD dwPid, const std::string& strClass)
{
    std::vector<HWND> visible;
    for (HWND hWnd : TopLevels(dwPid, strClass))
        if (::IsWindowVisible(hWnd))
            visible.push_back(hWnd);
    return visible;
}

HWND WaitForVisibleTopLevel(DWORD dwPid, const std::string& strClass, int nMilliseconds, HWND hOther)
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

const char kOtherProgramClass[] = "BrindlemarkTestOtherProgram";

namespace
{
BOOL CALLBACK CollectOtherProgramsWindow(HWND hWnd, LPARAM lParam)
{
    char szClass[64] = {};
    ::GetClassNameA(hWnd, szClass, sizeof(szClass));
    if (strcmp(szClass, kOtherProgramClass) == 0)
        reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hWnd);
    return TRUE;
}
} // namespace

void CloseOtherProgramsWindows()
{
    std::vector<HWND> windows;
    ::EnumThreadWindows(::GetCurrentThreadId(), &CollectOtherProgramsWindow, (LPARAM)&windows);
    for (HWND hWnd : windows)
        ::DestroyWindow(hWnd);
}

std::string WindowText(HWND hWnd)
{
    char szText[256] = "";
    ::GetWindowText(hWnd, szText, sizeof(szText));
    return szText;
}

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

bool IsAbove(HWND hWnd, HWND hBelow)
{
    for (HWND h = ::GetWindow(hBelow, GW_HWNDPREV); h != NULL; h = ::GetWindow(h, GW_HWNDPREV))
        if (h == hWnd)
            return true;
    return false;
}

HWND WaitForPopupBar(DWORD dwPid)
{
    return WaitForVisibleTopLevel(dwPid, "XTPPopupBar", 3000);
}

bool IsFloating(HWND hWnd)
{
    return hWnd != NULL && (::GetWindowLong(hWnd, GWL_STYLE) & WS_CHILD) == 0;
}

RECT WindowRect(HWND hWnd)
{
    RECT rc = {};
    ::GetWindowRect(hWnd, &rc);
    return rc;
}

HWND WaitForDialogOtherThan(DWORD dwPid, HWND hOther, int nMilliseconds)
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
    return !VisibleTopLevels(dwPid, "XTPPopupBar").empty();
}

void ChooseWithKeys(HWND hFrame, WORD chMenu, const std::vector<WORD>& keys)
{
    ::SetForegroundWindow(hFrame);
    Wait(100);
    PressKeys({VK_MENU});
    PressKeys({chMenu});
    for (WORD vk : keys)
        PressKeys({vk});
}

HWND FloatingPane(const Game& game)
{
    std::vector<HWND> minis = VisibleTopLevels(game.Pid(), "XTPDockingPaneMiniWnd");
    return minis.empty() ? NULL : minis[0];
}

HWND FocusOf(HWND hWnd)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    ::GetGUIThreadInfo(::GetWindowThreadProcessId(hWnd, NULL), &info);
    return info.hwndFocus;
}

HWND WaitForMessageWindow(DWORD dwPid, int nMilliseconds)
{
    for (int n = 0; n < nMilliseconds / 20; n++)
    {
        for (HWND hWnd : VisibleTopLevels(dwPid, ""))
            if (::GetDlgItem(hWnd, IDC_MESSAGE_TEXT) != NULL)
                return hWnd;
        ::Sleep(20);
    }
    return NULL;
}

std::vector<HWND> VisibleDescendants(HWND hFrame, const std::string& strClass)
{
    std::vector<HWND> visible;
    for (HWND hWnd : Descendants(hFrame, "", strClass))
        if (::IsWindowVisible(hWnd))
            visible.push_back(hWnd);
    return visible;
}

void ChooseProfilePaneEntry(const Game& game, bool bDifficulty)
{
    if (bDifficulty)
        ChooseWithKeys(game.Frame(), 'V', {VK_DOWN, VK_RETURN, VK_RETURN});
    else
        ChooseWithKeys(game.Frame(), 'V', {VK_RETURN, VK_RETURN});
    Wait(500);
}

void ClickPin(HWND hContainer)
{
    RECT rc;
    ::GetWindowRect(hContainer, &rc);
    ClickScreen({rc.right - 12, rc.top + 11}, false);
    Wait(500);
}

bool StartGameWith(const std::string& strArguments, PROCESS_INFORMATION& pi)
{
    std::string strCommand = "\"" + ExePath() + "\"" + strArguments;
    std::vector<char> command(strCommand.begin(), strCommand.end());
    command.push_back(0);
    STARTUPINFO si = {};
    si.cb = sizeof(si);
    return ::CreateProcess(NULL, command.data(), NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi) != FALSE;
}

bool StartGameAt(const std::wstring& strExe, PROCESS_INFORMATION& pi)
{
    std::wstring strCommand = L"\"" + strExe + L"\"";
    std::vector<wchar_t> command(strCommand.begin(), strCommand.end());
    command.push_back(0);
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    return ::CreateProcessW(strExe.c_str(), command.data(), NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi) != FALSE;
}

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

bool WaitForPuzzleMade(const Game& game, HWND hNew)
{
    const auto making = [&]() {
        return (hNew != NULL && ::IsWindow(hNew)) || WaitForWindow(game.Pid(), "Create Progress", 10) != NULL;
    };
    const DWORD dwStart = ::GetTickCount();
    while (making() && ::GetTickCount() - dwStart < 60000)
        Wait(50);
    return !making();
}

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
    WaitForPuzzleMade(game);
    for (int n = 0; n < 200 && !::IsWindowEnabled(game.Frame()); n++)
        Wait(50);
    ::SetForegroundWindow(game.Frame());
    Wait(300);
    return ::IsWindowEnabled(game.Frame()) != FALSE;
}

std::vector<HWND> VisibleDialogs(DWORD dwPid)
{
    return VisibleTopLevels(dwPid, "#32770");
}

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

} // namespace

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
    WaitForPuzzleMade(game, hDialog);
    Wait(500);
    for (int n = 0; n < 100 && (!::IsWindowEnabled(hFrame) || ::GetForegroundWindow() != hFrame); n++)
    {
        Wait(50);
        ::SetForegroundWindow(hFrame);
    }
    return ::IsWindowEnabled(hFrame) && !::IsWindow(hDialog);
}

bool HasFocusIn(HWND hFrame, HWND hWnd)
{
    HWND hFocus = FocusOf(hFrame);
    return hFocus != NULL && (hFocus == hWnd || ::IsChild(hWnd, hFocus));
}

POINT LowerMiddle(HWND hWnd)
{
    RECT rc;
    ::GetWindowRect(hWnd, &rc);
    return {(rc.left + rc.right) / 2, rc.bottom - 30};
}

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

void ChooseLastProfile(HWND hDialog)
{
    HWND hGrades = ::GetDlgItem(hDialog, IDC_DIFFICULTY_PROFILE);
    const int nGrades = (int)::SendMessage(hGrades, CB_GETCOUNT, 0, 0);
    ::SendMessage(hGrades, CB_SETCURSEL, nGrades - 1, 0);
    ClickButton(hDialog, "OK");
}
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

int CloseWithoutSaving(Game& game, int nMilliseconds)
{
    ::PostMessage(game.Frame(), WM_CLOSE, 0, 0);
    HWND hQuestion = WaitForDialogOtherThan(game.Pid(), NULL, nMilliseconds);
    if (hQuestion != NULL)
        ClickButton(hQuestion, "Don't Save");
    return game.WaitForExit();
}

HWND FileNameBox(HWND hDialog)
{
    HWND hName = ::GetDlgItem(hDialog, 0x47c);
    return hName != NULL ? hName : ::GetDlgItem(hDialog, 0x480);
}

bool SaveAsWithCtrlS(const Game& game, const std::string& strFile)
{
    ::SetForegroundWindow(game.Frame());
    PressKeys({VK_CONTROL, 'S'});
    HWND hSave = WaitForWindow(game.Pid(), "Save As", 5000);
    EXPECT_TRUE(hSave != NULL) << "Ctrl+S showed no Save As dialog";
    if (hSave == NULL)
        return false;
    Wait(300);
    HWND hName = FileNameBox(hSave);
    EXPECT_TRUE(hName != NULL) << "the Save As dialog has no name box";
    if (hName == NULL)
        return false;
    ::SendMessage(hName, WM_SETTEXT, 0, (LPARAM)strFile.c_str());
    ::PostMessage(hSave, WM_COMMAND, IDOK, 0);
    return true;
}

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

std::string WriteTempFile(const char* pszName, const std::vector<BYTE>& data)
{
    char szFolder[MAX_PATH] = "";
    ::GetTempPathA(MAX_PATH, szFolder);
    std::string strPath = std::string(szFolder) + pszName;
    std::ofstream file(strPath.c_str(), std::ios::binary | std::ios::trunc);
    file.write((const char*)data.data(), (std::streamsize)data.size());
    return strPath;
}

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
} // namespace gametest
