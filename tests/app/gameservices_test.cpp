// The game-window services: the string loader, the message pump, the
// information box, and the puzzle core's services that the game answers
// with them.
#include <gtest/gtest.h>

#include "GameServices.h"
#include "HTCoreServices.h"
#include "PuzzleLoadChoiceDlg.h"
#include "resource.h"

namespace
{
// What the timer below does to the dialog it finds.
enum DialogAction
{
    actPressOK,
    actChooseStartAgain,
};

DialogAction s_action = actPressOK;
int s_nTicks = 0;
std::string s_strSeenText;

// Finds the dialog of this thread that is showing and acts on it.
BOOL CALLBACK FindDialog(HWND hWnd, LPARAM lParam)
{
    char szClass[16];
    GetClassNameA(hWnd, szClass, sizeof(szClass));
    if (strcmp(szClass, "#32770") == 0 && IsWindowVisible(hWnd))
    {
        *(HWND*)lParam = hWnd;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK ActOnDialog(HWND, UINT, UINT_PTR, DWORD)
{
    HWND hDialog = NULL;
    EnumThreadWindows(GetCurrentThreadId(), FindDialog, (LPARAM)&hDialog);
    if (hDialog == NULL)
        return;
    s_nTicks++;
    char szText[512];
    if (GetDlgItemTextA(hDialog, IDC_MESSAGE_TEXT, szText, sizeof(szText)) > 0)
        s_strSeenText = szText;
    switch (s_action)
    {
    case actPressOK:
        PostMessageA(hDialog, WM_COMMAND, IDOK, 0);
        break;
    case actChooseStartAgain:
        SendDlgItemMessageA(hDialog, IDC_LOAD_START_AGAIN, BM_CLICK, 0, 0);
        PostMessageA(hDialog, WM_COMMAND, IDOK, 0);
        break;
    }
}

class CDialogDriver
{
public:
    explicit CDialogDriver(DialogAction action)
    {
        s_action = action;
        s_nTicks = 0;
        s_strSeenText.clear();
        m_nTimer = SetTimer(NULL, 0, 50, ActOnDialog);
    }
    ~CDialogDriver() { KillTimer(NULL, m_nTimer); }

private:
    UINT_PTR m_nTimer;
};
} // namespace

TEST(LoadResourceStringTest, KnownAndMissingIds)
{
    EXPECT_STREQ("Fiendish", LoadResourceString(IDS_GRADE_FIENDISH));
    EXPECT_STREQ("OK", LoadResourceString(IDS_OK));
    EXPECT_STREQ("String not found: 64999", LoadResourceString(64999));
}

namespace
{
struct Recorder
{
    static INT_PTR AFXAPI Handler(const CString& strMessage, bool bNoToolTips)
    {
        s_strText = strMessage;
        s_bNoToolTips = bNoToolTips;
        return 42;
    }
    static CString s_strText;
    static bool s_bNoToolTips;
};
CString Recorder::s_strText;
bool Recorder::s_bNoToolTips = false;

int s_nPosted = 0;
LRESULT CALLBACK CountingProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg == WM_APP + 1)
    {
        s_nPosted++;
        return 0;
    }
    return DefWindowProcA(hWnd, nMsg, wParam, lParam);
}
} // namespace

TEST(InfoMessageTest, ReplacementIsCalledInsteadOfTheBox)
{
    PFN_SHOWINFOMESSAGE pfnOld = SetInfoMessageHandler(Recorder::Handler);
    EXPECT_EQ(42, ShowInfoMessage("hello"));
    EXPECT_STREQ("hello", Recorder::s_strText);
    EXPECT_TRUE(Recorder::s_bNoToolTips);
    EXPECT_TRUE(Recorder::Handler == SetInfoMessageHandler(pfnOld));
}

TEST(CoreServicesTest, TheCoreReachesTheGamesBoxAndQuestion)
{
    CHTCoreServices* pPrevious = CHTCoreServices::Set(NULL);
    ConnectCoreServices();
    CHTCoreServices& services = CHTCoreServices::Get();

    PFN_SHOWINFOMESSAGE pfnOld = SetInfoMessageHandler(Recorder::Handler);
    EXPECT_EQ(42, services.ShowInfoMessage("from the core"));
    EXPECT_STREQ("from the core", Recorder::s_strText);
    SetInfoMessageHandler(pfnOld);

    CDialogDriver driver(actChooseStartAgain);
    EXPECT_TRUE(services.AskStartAgain());
    EXPECT_STREQ("String not found: 64999", services.LoadResourceString(64999));
    CHTCoreServices::Set(pPrevious);
}

TEST(InfoMessageTest, TheBoxShowsTheMessageAndReturnsOK)
{
    CDialogDriver driver(actPressOK);
    EXPECT_EQ(IDOK, ShowInfoMessage("The file could not be read."));
    EXPECT_EQ("The file could not be read.", s_strSeenText);
}

TEST(PumpTest, DispatchesWaitingMessagesAndRepostsQuit)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = CountingProc;
    wc.hInstance = GetModuleHandleA(NULL);
    wc.lpszClassName = "CorePumpTestWindow";
    RegisterClassA(&wc);
    HWND hWnd = CreateWindowA(wc.lpszClassName, "", WS_POPUP, 0, 0, 10, 10, NULL, NULL, wc.hInstance, NULL);
    ASSERT_TRUE(hWnd != NULL);
    s_nPosted = 0;
    PostMessageA(hWnd, WM_APP + 1, 0, 0);
    PostMessageA(hWnd, WM_APP + 1, 0, 0);
    PumpWaitingMessages();
    EXPECT_EQ(2, s_nPosted);
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, hWnd, WM_APP + 1, WM_APP + 1, PM_NOREMOVE)) << "nothing is left waiting";

    PostQuitMessage(3);
    PostMessageA(hWnd, WM_APP + 1, 0, 0);
    PumpWaitingMessages();
    ASSERT_TRUE(PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the quit message is posted again";
    DestroyWindow(hWnd);
}
