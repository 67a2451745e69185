// ctest: run-serial (activation and the foreground window)
// Frames: bar layout through WM_SIZEPARENT, delayed layout and bar display,
// prompts, floating windows; documents, views and the single-document
// template.
#include "support/pump.h"
#include "support/wndtest.h"
#include <afxdlgs.h>
#include "resource.h"

#include <algorithm>
#include <string>
#include <vector>

using namespace testsupport;

namespace
{

CWinApp theApp;
::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new Environment);

// A bar of a fixed thickness along its edge.
class CTestBar : public CControlBar
{
public:
    explicit CTestBar(int nThickness) : m_nThickness(nThickness) {}
    int m_nThickness;
    int nUpdates = 0;
    CFrameWnd* pLastTarget = NULL;
    BOOL bLastDisable = FALSE;

    BOOL Create(CWnd* pParent, DWORD dwStyle, UINT nID, BOOL bVisible = TRUE)
    {
        m_dwStyle = dwStyle;
        return CWnd::Create(NULL, NULL, WS_CHILD | (bVisible ? WS_VISIBLE : 0), CRect(0, 0, 0, 0), pParent, nID);
    }
    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz)
    {
        CSize size = CControlBar::CalcFixedLayout(bStretch, bHorz);
        if (bHorz)
            size.cy = m_nThickness;
        else
            size.cx = m_nThickness;
        return size;
    }
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
    {
        ++nUpdates;
        pLastTarget = pTarget;
        bLastDisable = bDisableIfNoHndler;
    }
};

class CPlainView : public CView
{
    DECLARE_DYNCREATE(CPlainView)
public:
    virtual void OnDraw(CDC*) {}
};
IMPLEMENT_DYNCREATE(CPlainView, CView)

CRect ChildRect(CWnd* pChild)
{
    CRect rect;
    pChild->GetWindowRect(&rect);
    pChild->GetParent()->ScreenToClient(&rect);
    return rect;
}

class LayoutTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        pFrame = new CFrameWnd;
        ASSERT_TRUE(pFrame->Create(NULL, "layout", WS_POPUP, CRect(0, 0, 400, 300)));
        // Created in this order: the status bar is first in Z order.
        status = new CTestBar(20);
        ASSERT_TRUE(status->Create(pFrame, CBRS_BOTTOM, AFX_IDW_STATUS_BAR));
        toolbar = new CTestBar(30);
        ASSERT_TRUE(toolbar->Create(pFrame, CBRS_TOP, AFX_IDW_TOOLBAR));
        lowerBar = new CTestBar(10);
        ASSERT_TRUE(lowerBar->Create(pFrame, CBRS_BOTTOM, AFX_IDW_CONTROLBAR_FIRST + 5));
        leftBar = new CTestBar(40);
        ASSERT_TRUE(leftBar->Create(pFrame, CBRS_LEFT, AFX_IDW_DOCKBAR_LEFT));
        for (CTestBar* pBar : { status, toolbar, lowerBar, leftBar })
            pBar->m_bAutoDelete = TRUE;
        CCreateContext context;
        context.m_pNewViewClass = RUNTIME_CLASS(CPlainView);
        pView = pFrame->CreateView(&context);
        ASSERT_TRUE(pView != NULL);
        pFrame->RecalcLayout();
    }
    void TearDown() override { pFrame->DestroyWindow(); }

    CFrameWnd* pFrame = NULL;
    CTestBar* status = NULL;
    CTestBar* toolbar = NULL;
    CTestBar* lowerBar = NULL;
    CTestBar* leftBar = NULL;
    CView* pView = NULL;
};

TEST_F(LayoutTest, BarsTakeTheirEdgesInZOrderAndTheViewGetsTheRest)
{
    CRect client;
    pFrame->GetClientRect(&client);
    ASSERT_EQ(CSize(400, 300), client.Size());
    EXPECT_EQ(CRect(0, 280, 400, 300), ChildRect(status));     // the outer bottom edge
    EXPECT_EQ(CRect(0, 0, 400, 30), ChildRect(toolbar));
    EXPECT_EQ(CRect(0, 270, 400, 280), ChildRect(lowerBar));   // above the status bar
    EXPECT_EQ(CRect(0, 30, 40, 270), ChildRect(leftBar));
    EXPECT_EQ(CRect(40, 30, 400, 270), ChildRect(pView));
    EXPECT_EQ(4, (int)pFrame->m_listControlBars.GetCount());
    EXPECT_EQ(toolbar, pFrame->GetControlBar(AFX_IDW_TOOLBAR));
}

TEST_F(LayoutTest, AQueryMeasuresWithoutMoving)
{
    CRect rectLeft;
    pFrame->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, CWnd::reposQuery, &rectLeft,
                           CRect(0, 0, 200, 200));
    EXPECT_EQ(CRect(40, 30, 200, 170), rectLeft);
    EXPECT_EQ(CRect(0, 280, 400, 300), ChildRect(status));   // untouched

    // Without stretching, the query gives the bars' total size.
    CRect rectTotal;
    pFrame->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, CWnd::reposQuery, &rectTotal, NULL, FALSE);
    EXPECT_EQ(60, rectTotal.Height());
}

TEST_F(LayoutTest, HiddenBarsTakeNoRoomAndDelayedChangesHappenAtIdle)
{
    // At once.
    pFrame->ShowControlBar(leftBar, FALSE, FALSE);
    EXPECT_FALSE(leftBar->IsWindowVisible());
    EXPECT_EQ(CRect(0, 30, 400, 270), ChildRect(pView));

    // Delayed: nothing moves until the idle update.
    pFrame->ShowControlBar(toolbar, FALSE, TRUE);
    EXPECT_TRUE(toolbar->GetStyle() & WS_VISIBLE);
    EXPECT_FALSE(toolbar->IsVisible());
    EXPECT_TRUE(pFrame->m_nIdleFlags & CFrameWnd::idleLayout);
    AfxCallWndProc(pFrame, pFrame->m_hWnd, WM_IDLEUPDATECMDUI, TRUE, 0);
    pFrame->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
    EXPECT_FALSE(toolbar->GetStyle() & WS_VISIBLE);
    EXPECT_EQ(0u, pFrame->m_nIdleFlags);
    EXPECT_EQ(CRect(0, 0, 400, 270), ChildRect(pView));
}

TEST_F(LayoutTest, VisibleBarsUpdateAgainstTheirFrameAtIdle)
{
    pFrame->ShowControlBar(lowerBar, FALSE, FALSE);
    status->nUpdates = lowerBar->nUpdates = 0;
    pFrame->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
    EXPECT_EQ(1, status->nUpdates);
    EXPECT_EQ(pFrame, status->pLastTarget);
    EXPECT_TRUE(status->bLastDisable);
    EXPECT_EQ(0, lowerBar->nUpdates);
}

TEST_F(LayoutTest, TheViewMenuTogglesBars)
{
    pFrame->SendMessage(WM_COMMAND, ID_VIEW_TOOLBAR);
    EXPECT_FALSE(toolbar->IsWindowVisible());
    EXPECT_EQ(CRect(40, 0, 400, 270), ChildRect(pView));

    class CCheckUI : public CCmdUI
    {
    public:
        int nCheck = -1;
        virtual void SetCheck(int n) { nCheck = n; }
    } ui;
    ui.m_nID = ID_VIEW_STATUS_BAR;
    ui.DoUpdate(pFrame, TRUE);
    EXPECT_EQ(1, ui.nCheck);
    ui.m_nID = ID_VIEW_TOOLBAR;
    ui.DoUpdate(pFrame, TRUE);
    EXPECT_EQ(0, ui.nCheck);
}

TEST_F(LayoutTest, PromptsGoToTheStatusBar)
{
    CString strText;
    pFrame->SendMessage(WM_SETMESSAGESTRING, ID_FILE_NEW);
    status->GetWindowText(strText);
    EXPECT_STREQ("Create a new document", strText);   // the text before '\n'

    pFrame->SetMessageText("free text");
    status->GetWindowText(strText);
    EXPECT_STREQ("free text", strText);

    pFrame->SendMessage(WM_POPMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
    status->GetWindowText(strText);
    EXPECT_STREQ("Ready", strText);

    // A menu item being selected: a pending pop is ignored, and the item's
    // prompt shows when the menu goes idle.
    pFrame->SetMessageText("before");
    pFrame->SendMessage(WM_MENUSELECT, MAKEWPARAM(ID_APP_EXIT, MF_STRING), 0);
    pFrame->SendMessage(WM_POPMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
    status->GetWindowText(strText);
    EXPECT_STREQ("before", strText);
    pFrame->SendMessage(WM_ENTERIDLE, MSGF_MENU, 0);
    status->GetWindowText(strText);
    EXPECT_STREQ("Quit the application; prompts to save documents", strText);
    // Closing the menu returns to the idle prompt.
    pFrame->SendMessage(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    status->GetWindowText(strText);
    EXPECT_STREQ("Ready", strText);
}

TEST_F(LayoutTest, KeyIndicatorsFollowTheLockKeys)
{
    class CEnableUI : public CCmdUI
    {
    public:
        int nEnabled = -1;
        virtual void Enable(BOOL b)
        {
            nEnabled = b ? 1 : 0;
            m_bEnableChanged = TRUE;
        }
    } ui;
    ui.m_nID = ID_INDICATOR_CAPS;
    ui.DoUpdate(pFrame, TRUE);
    EXPECT_EQ((::GetKeyState(VK_CAPITAL) & 1) ? 1 : 0, ui.nEnabled);
    ui.m_nID = ID_INDICATOR_NUM;
    ui.DoUpdate(pFrame, TRUE);
    EXPECT_EQ((::GetKeyState(VK_NUMLOCK) & 1) ? 1 : 0, ui.nEnabled);
}

TEST(Layout, RecalcLayoutIsNotReentered)
{
    class CReentrantBar : public CTestBar
    {
    public:
        CReentrantBar() : CTestBar(10) {}
        int nSizeParent = 0;
        virtual CSize CalcDynamicLayout(int nLength, DWORD dwMode)
        {
            ++nSizeParent;
            GetParentFrame()->RecalcLayout();   // a bar asking again while laid out
            return CTestBar::CalcDynamicLayout(nLength, dwMode);
        }
    };
    CFrameWnd* pFrame = new CFrameWnd;
    ASSERT_TRUE(pFrame->Create(NULL, "re", WS_POPUP, CRect(0, 0, 100, 100)));
    CReentrantBar bar;
    ASSERT_TRUE(bar.Create(pFrame, CBRS_TOP, AFX_IDW_TOOLBAR));
    bar.nSizeParent = 0;
    pFrame->RecalcLayout();
    EXPECT_EQ(1, bar.nSizeParent);
    bar.DestroyWindow();
    pFrame->DestroyWindow();
}

/////////////////////////////////////////////////////////////////////////////
// Floating windows

TEST(FloatingWindows, SyncActivePopupsKeepTheFrameActive)
{
    CFrameWnd* pFrame = new CFrameWnd;
    ASSERT_TRUE(pFrame->Create(NULL, "owner", WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200)));
    CMiniFrameWnd* pSync = new CMiniFrameWnd;
    ASSERT_TRUE(pSync->CreateEx(0, NULL, "sync", WS_POPUP | WS_CAPTION | MFS_SYNCACTIVE, CRect(0, 0, 50, 50), pFrame));
    CMiniFrameWnd* pPlain = new CMiniFrameWnd;
    ASSERT_TRUE(pPlain->CreateEx(0, NULL, "plain", WS_POPUP | WS_CAPTION, CRect(0, 0, 50, 50), pFrame));

    EXPECT_EQ(1, (int)pSync->SendMessage(WM_FLOATSTATUS, FS_SYNCACTIVE));
    EXPECT_EQ(0, (int)pPlain->SendMessage(WM_FLOATSTATUS, FS_SYNCACTIVE));

    pFrame->SendMessage(WM_ACTIVATE, WA_INACTIVE, (LPARAM)pSync->m_hWnd);
    EXPECT_TRUE(pFrame->m_nFlags & WF_STAYACTIVE);
    pFrame->SendMessage(WM_ACTIVATE, WA_INACTIVE, (LPARAM)pPlain->m_hWnd);
    EXPECT_FALSE(pFrame->m_nFlags & WF_STAYACTIVE);

    // Enabling and disabling the frame reaches its floating windows.
    pFrame->NotifyFloatingWindows(FS_DISABLE);
    EXPECT_FALSE(pSync->IsWindowEnabled());
    EXPECT_FALSE(pPlain->IsWindowEnabled());
    pFrame->NotifyFloatingWindows(FS_ENABLE);
    EXPECT_TRUE(pSync->IsWindowEnabled());

    pFrame->DestroyWindow();   // owned popups go first and delete themselves
}

namespace
{
// A frame and a mini frame that count the close commands reaching them
// instead of closing.
class CCloseCountingFrame : public CFrameWnd
{
public:
    int nCloseCommands = 0;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_CLOSE)
        {
            nCloseCommands++;
            return 0;
        }
        return CFrameWnd::WindowProc(message, wParam, lParam);
    }
};

class CCloseCountingMini : public CMiniFrameWnd
{
public:
    int nOwnCloses = 0;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_CLOSE)
        {
            nOwnCloses++;
            return 0;
        }
        return CMiniFrameWnd::WindowProc(message, wParam, lParam);
    }
};

// Sets the thread's state of Alt and F4 as the keys would.
void HoldAltAndF4(bool bAlt, bool bF4)
{
    BYTE keys[256];
    ::GetKeyboardState(keys);
    keys[VK_MENU] = bAlt ? 0x80 : 0;
    keys[VK_F4] = bF4 ? 0x80 : 0;
    ::SetKeyboardState(keys);
}
} // namespace

// A close command of a floating window that is part of its frame closes
// the frame when it comes from the keys: Alt+F4 itself, or a window
// manager's close request made for Alt+F4 (no pointer position, Alt held,
// F4 taken by the window manager). Chosen with the mouse, or without Alt,
// it closes the floating window only, as it does in a window of its own.
TEST(FloatingWindows, AltF4InASyncPopupClosesTheFrameAndOtherClosesCloseThePopup)
{
    CCloseCountingFrame* pFrame = new CCloseCountingFrame;
    ASSERT_TRUE(pFrame->Create(NULL, "owner", WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200)));
    CCloseCountingMini* pSync = new CCloseCountingMini;
    ASSERT_TRUE(pSync->CreateEx(0, NULL, "sync", WS_POPUP | WS_CAPTION | WS_SYSMENU | MFS_SYNCACTIVE,
                                CRect(0, 0, 50, 50), pFrame));
    CCloseCountingMini* pPlain = new CCloseCountingMini;
    ASSERT_TRUE(pPlain->CreateEx(0, NULL, "plain", WS_POPUP | WS_CAPTION | WS_SYSMENU, CRect(0, 0, 50, 50), pFrame));
    const LPARAM lPointer = MAKELPARAM(20, 10);

    HoldAltAndF4(true, true);
    pSync->SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(1, pFrame->nCloseCommands) << "Alt+F4";
    EXPECT_EQ(0, pSync->nOwnCloses);

    HoldAltAndF4(true, false);
    pSync->SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(2, pFrame->nCloseCommands) << "a window manager's close request for Alt+F4";
    EXPECT_EQ(0, pSync->nOwnCloses);

    pSync->SendMessage(WM_SYSCOMMAND, SC_CLOSE, lPointer);
    EXPECT_EQ(2, pFrame->nCloseCommands) << "Close chosen with the mouse while Alt is held";
    EXPECT_EQ(1, pSync->nOwnCloses);

    HoldAltAndF4(false, false);
    pSync->SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(2, pFrame->nCloseCommands) << "a close request without the keys";
    EXPECT_EQ(2, pSync->nOwnCloses);

    HoldAltAndF4(true, true);
    pPlain->SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(2, pFrame->nCloseCommands) << "a window of its own";
    EXPECT_EQ(1, pPlain->nOwnCloses);

    HoldAltAndF4(false, false);
    pFrame->DestroyWindow();
}

namespace
{
// A window that counts the system's size and move loops it enters.
class CSizeLoopCounter : public CWnd
{
public:
    int nLoops = 0;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_ENTERSIZEMOVE)
            nLoops++;
        return CWnd::WindowProc(message, wParam, lParam);
    }
};
} // namespace

// A size or move begun by a press whose button is up by the time the
// command is handled (a quick click on a border while the program was busy)
// starts no sizing: under a window manager that sizing would go on following
// the pointer after the click. One begun from the keyboard (the system menu's
// Size) runs as before.
TEST(FloatingWindows, ASizeOrMoveBegunByAReleasedPressStartsNoSizing)
{
    ASSERT_GE(::GetAsyncKeyState(::GetSystemMetrics(SM_SWAPBUTTON) ? VK_RBUTTON : VK_LBUTTON), 0)
        << "the mouse button is down";
    CSizeLoopCounter wnd;
    ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), "sized", WS_POPUP | WS_CAPTION | WS_THICKFRAME | WS_VISIBLE,
                             CRect(100, 100, 300, 250), NULL, 0));
    CRect rcBefore;
    wnd.GetWindowRect(&rcBefore);

    // Were a loop entered, the Return key would end it.
    wnd.PostMessage(WM_KEYDOWN, VK_RETURN, 0);
    wnd.SendMessage(WM_SYSCOMMAND, SC_SIZE | WMSZ_BOTTOMRIGHT, MAKELPARAM(rcBefore.right - 1, rcBefore.bottom - 1));
    EXPECT_EQ(0, wnd.nLoops) << "a size from the bottom right corner";
    Pump(20);   // the Return key, unless a loop took it
    wnd.PostMessage(WM_KEYDOWN, VK_RETURN, 0);
    wnd.SendMessage(WM_SYSCOMMAND, SC_MOVE | HTCAPTION, MAKELPARAM(rcBefore.left + 20, rcBefore.top + 5));
    EXPECT_EQ(0, wnd.nLoops) << "a move by the caption";
    Pump(20);
    CRect rcAfter;
    wnd.GetWindowRect(&rcAfter);
    EXPECT_EQ(rcBefore, rcAfter);

    // From the keyboard: Right picks the border, Return ends the sizing.
    wnd.PostMessage(WM_KEYDOWN, VK_RIGHT, 0);
    wnd.PostMessage(WM_KEYDOWN, VK_RETURN, 0);
    wnd.SendMessage(WM_SYSCOMMAND, SC_SIZE, 0);
    EXPECT_EQ(1, wnd.nLoops) << "the system menu's Size";
    wnd.DestroyWindow();
}

TEST(FloatingWindows, ModalStateDisablesTheFramesWindows)
{
    CFrameWnd* pFrame = new CFrameWnd;
    ASSERT_TRUE(pFrame->Create(NULL, "owner", WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200)));
    CMiniFrameWnd* pFloat = new CMiniFrameWnd;
    ASSERT_TRUE(pFloat->CreateEx(0, NULL, "f", WS_POPUP, CRect(0, 0, 50, 50), pFrame));
    pFrame->BeginModalState();
    EXPECT_FALSE(pFrame->IsWindowEnabled());
    EXPECT_FALSE(pFloat->IsWindowEnabled());
    pFrame->BeginModalState();   // nested
    pFrame->EndModalState();
    EXPECT_FALSE(pFrame->IsWindowEnabled());
    pFrame->EndModalState();
    EXPECT_TRUE(pFrame->IsWindowEnabled());
    EXPECT_TRUE(pFloat->IsWindowEnabled());
    pFrame->DestroyWindow();
}

TEST(FloatingWindows, EnableModelessDisablesOnlyTheFramesEnabledDialogs)
{
    CFrameWnd* pFrame = new CFrameWnd;
    ASSERT_TRUE(pFrame->Create(NULL, "owner", WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200)));
    CMiniFrameWnd* pFloat = new CMiniFrameWnd;
    ASSERT_TRUE(pFloat->CreateEx(0, NULL, "f", WS_POPUP, CRect(0, 0, 50, 50), pFrame));
    HWND hDialog = ::CreateWindowExA(0, "#32770", "modeless", WS_POPUP, 0, 0, 80, 60, pFrame->m_hWnd, NULL,
                                     AfxGetInstanceHandle(), NULL);
    HWND hDisabled = ::CreateWindowExA(0, "#32770", "off", WS_POPUP | WS_DISABLED, 0, 0, 80, 60, pFrame->m_hWnd,
                                       NULL, AfxGetInstanceHandle(), NULL);
    HWND hStranger = ::CreateWindowExA(0, "#32770", "not ours", WS_POPUP, 0, 0, 80, 60, NULL, NULL,
                                       AfxGetInstanceHandle(), NULL);
    ASSERT_TRUE(hDialog != NULL && hDisabled != NULL && hStranger != NULL);

    // Through the application, which acts on its main frame.
    CWnd* pOldMain = theApp.m_pMainWnd;
    theApp.m_pMainWnd = pFrame;
    theApp.EnableModeless(FALSE);
    EXPECT_FALSE(pFrame->IsModelessEnabled());
    EXPECT_FALSE(::IsWindowEnabled(hDialog));
    EXPECT_TRUE(pFrame->IsWindowEnabled());    // the frame itself and its
    EXPECT_TRUE(pFloat->IsWindowEnabled());    // floating bars keep working
    EXPECT_TRUE(::IsWindowEnabled(hStranger));

    theApp.EnableModeless(FALSE);   // nested: the inner pair changes nothing
    theApp.EnableModeless(TRUE);
    EXPECT_FALSE(::IsWindowEnabled(hDialog));
    theApp.EnableModeless(TRUE);
    EXPECT_TRUE(pFrame->IsModelessEnabled());
    EXPECT_TRUE(::IsWindowEnabled(hDialog));
    EXPECT_FALSE(::IsWindowEnabled(hDisabled));   // was off before: stays off

    theApp.EnableModeless(TRUE);   // unbalanced: ignored
    EXPECT_TRUE(pFrame->IsModelessEnabled());

    // A dialog destroyed while disabled is skipped when enabling again.
    pFrame->EnableModeless(FALSE);
    ::DestroyWindow(hDialog);
    pFrame->EnableModeless(TRUE);
    EXPECT_TRUE(pFrame->IsModelessEnabled());

    theApp.m_pMainWnd = pOldMain;
    ::DestroyWindow(hStranger);
    pFrame->DestroyWindow();
}

/////////////////////////////////////////////////////////////////////////////
// Windows the frame owns, kept in front of it

namespace
{
// A floating window that raises itself whenever it hears that its frame is
// active, as a floating pane once did. Each window moves itself to the top
// of the order while the frame tells its windows in turn; a walk that
// follows the live order meets the windows again and again. The raise stops
// after a bound so that such a walk still ends (and the test fails) instead
// of hanging.
class CSelfRaisingMiniFrame : public CMiniFrameWnd
{
public:
    int nActivateNotices = 0;

protected:
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_FLOATSTATUS && (wParam & FS_ACTIVATE) != 0 && ++nActivateNotices <= 50)
            SetWindowPos(&wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        return CMiniFrameWnd::WindowProc(message, wParam, lParam);
    }
};

// A window that asks its owner frame to raise the owned windows again while
// that frame is raising them (it is moved), recording the answers.
class CReenteringMiniFrame : public CMiniFrameWnd
{
public:
    CFrameWnd* pOwnerFrame = NULL;
    std::vector<int> nestedResults;

protected:
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_WINDOWPOSCHANGED && pOwnerFrame != NULL)
        {
            nestedResults.push_back(pOwnerFrame->RaiseOwnedWindows());
            pOwnerFrame->KeepOwnedWindowsInFront();
        }
        return CMiniFrameWnd::WindowProc(message, wParam, lParam);
    }
};

// A window of the library made from a plain one; it goes with its window.
class CLibraryPopup : public CWnd
{
protected:
    virtual void PostNcDestroy() { delete this; }
};

// A visible popup filled with one colour. One with an owner is a window of
// the library, as the windows a frame owns are (floating bars and panes,
// dialogs, tips): the library's window procedure sees it moved and shown.
HWND CreateColouredPopup(HWND hWndOwner, COLORREF cr, int x, int y, int cx, int cy, DWORD dwExStyle = WS_EX_TOOLWINDOW)
{
    char szClass[40];
    wsprintfA(szClass, "FrameTestColour%06lX", (unsigned long)cr);
    WNDCLASSA wc = {};
    if (!::GetClassInfoA(::GetModuleHandle(NULL), szClass, &wc))
    {
        wc.lpfnWndProc = ::DefWindowProcA;
        wc.hInstance = ::GetModuleHandle(NULL);
        wc.hbrBackground = ::CreateSolidBrush(cr);
        wc.lpszClassName = szClass;
        ::RegisterClassA(&wc);
    }
    HWND hWnd = ::CreateWindowExA(dwExStyle, szClass, "", WS_POPUP, x, y, cx, cy, hWndOwner, NULL,
                                  ::GetModuleHandle(NULL), NULL);
    if (hWnd != NULL && hWndOwner != NULL)
    {
        CLibraryPopup* pPopup = new CLibraryPopup;
        if (!pPopup->SubclassWindow(hWnd))
            delete pPopup;
    }
    if (hWnd != NULL)
        ::ShowWindow(hWnd, SW_SHOWNA);
    return hWnd;
}

bool IsAbove(HWND hWnd, HWND hBelow)
{
    for (HWND h = ::GetWindow(hBelow, GW_HWNDPREV); h != NULL; h = ::GetWindow(h, GW_HWNDPREV))
        if (h == hWnd)
            return true;
    return false;
}

// The given windows in the system's order, top first.
std::vector<HWND> InOrder(const std::vector<HWND>& windows)
{
    std::vector<HWND> order;
    for (HWND h = ::GetWindow(::GetDesktopWindow(), GW_CHILD); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT))
        if (std::find(windows.begin(), windows.end(), h) != windows.end())
            order.push_back(h);
    return order;
}

// The raise requests waiting for the frame, taken from the queue and run.
int TakeRaiseRequests(HWND hFrame)
{
    int nCount = 0;
    MSG msg;
    while (::PeekMessage(&msg, hFrame, WM_RAISEOWNEDWINDOWS, WM_RAISEOWNEDWINDOWS, PM_REMOVE))
    {
        nCount++;
        ::DispatchMessage(&msg);
    }
    return nCount;
}

COLORREF ScreenPixel(int x, int y)
{
    HDC hScreen = ::GetDC(NULL);
    COLORREF cr = ::GetPixel(hScreen, x, y);
    ::ReleaseDC(NULL, hScreen);
    return cr;
}

const COLORREF kFrameColour = RGB(200, 40, 40), kFirstColour = RGB(40, 160, 40), kSecondColour = RGB(40, 40, 200);

// Pumps messages until the screen shows the first owned window where it lies
// alone (at 120, 120) and the second where it lies alone (at 230, 230), or a
// bound of about three seconds passes. Empty when it does, else what the
// screen and the system's order show.
std::string WaitForOwnedWindowsOnScreen(HWND hFrame, HWND hFirst, HWND hSecond)
{
    COLORREF crFirst = 0, crSecond = 0;
    for (int n = 0; n < 150; n++)
    {
        crFirst = ScreenPixel(120, 120), crSecond = ScreenPixel(230, 230);
        if (crFirst == kFirstColour && crSecond == kSecondColour)
            return std::string();
        Pump(20);
    }
    char szSeen[160];
    wsprintfA(szSeen, "the screen shows rgb(%d,%d,%d) and rgb(%d,%d,%d);", GetRValue(crFirst), GetGValue(crFirst),
              GetBValue(crFirst), GetRValue(crSecond), GetGValue(crSecond), GetBValue(crSecond));
    std::string strSeen = szSeen;
    strSeen += " the order, top first:";
    for (HWND hWnd : InOrder({hFrame, hFirst, hSecond}))
        strSeen += hWnd == hFrame ? " frame" : hWnd == hFirst ? " first" : " second";
    return strSeen;
}
} // namespace

// Telling the floating windows about the frame's activation goes through a
// snapshot of them: two windows that each raise themselves hear it once.
TEST(OwnedWindows, FloatingWindowsThatRaiseThemselvesAreToldOnce)
{
    CFrameWnd* pFrame = new CFrameWnd;
    ASSERT_TRUE(pFrame->Create(NULL, "owner", WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200)));
    CSelfRaisingMiniFrame* pFirst = new CSelfRaisingMiniFrame;
    CSelfRaisingMiniFrame* pSecond = new CSelfRaisingMiniFrame;
    ASSERT_TRUE(pFirst->CreateEx(0, NULL, "first", WS_POPUP | WS_CAPTION | WS_VISIBLE, CRect(10, 10, 60, 60), pFrame));
    ASSERT_TRUE(pSecond->CreateEx(0, NULL, "second", WS_POPUP | WS_CAPTION | WS_VISIBLE, CRect(30, 30, 80, 80), pFrame));
    pFirst->nActivateNotices = pSecond->nActivateNotices = 0;

    pFrame->NotifyFloatingWindows(FS_ACTIVATE);
    EXPECT_EQ(1, pFirst->nActivateNotices);
    EXPECT_EQ(1, pSecond->nActivateNotices);

    // An activation of the frame tells them a bounded number of times (a
    // walk of the live order would tell them until they stop moving).
    pFirst->nActivateNotices = pSecond->nActivateNotices = 0;
    pFrame->SendMessage(WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_GE(pFirst->nActivateNotices, 1);
    EXPECT_LE(pFirst->nActivateNotices, 3);
    EXPECT_EQ(pFirst->nActivateNotices, pSecond->nActivateNotices);
    pFrame->DestroyWindow();
    DrainQuit();
}

namespace
{
// A floating window that counts the frame's activation notices.
class CActivationCountingMiniFrame : public CMiniFrameWnd
{
public:
    int nActivateNotices = 0;

protected:
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_FLOATSTATUS && (wParam & FS_ACTIVATE) != 0)
            nActivateNotices++;
        return CMiniFrameWnd::WindowProc(message, wParam, lParam);
    }
};

// Another thread that keeps making top-level windows (each new one comes
// first in the system's order) and destroying them, as another program's
// windows come and go, until told to stop.
struct WindowChurn
{
    volatile LONG bStop = FALSE;
    volatile LONG nDestroyed = 0;

    static DWORD WINAPI Run(LPVOID pParam)
    {
        WindowChurn* pChurn = (WindowChurn*)pParam;
        while (!pChurn->bStop)
        {
            HWND hWnd = ::CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "churn", WS_POPUP, 0, 0, 10, 10, NULL, NULL,
                                          ::GetModuleHandle(NULL), NULL);
            if (hWnd != NULL && ::DestroyWindow(hWnd))
                ::InterlockedIncrement(&pChurn->nDestroyed);
        }
        return 0;
    }
};
} // namespace

// While windows of another thread come and go above the frame's windows in
// the system's order, every activation notice still reaches each window the
// frame owns: a window destroyed while the frame reads the order ends
// nothing early.
TEST(OwnedWindows, FloatingWindowsHearTheFrameWhileOtherWindowsComeAndGo)
{
    CFrameWnd* pFrame = new CFrameWnd;
    ASSERT_TRUE(pFrame->Create(NULL, "owner", WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200)));
    CActivationCountingMiniFrame* pFloating = new CActivationCountingMiniFrame;
    ASSERT_TRUE(pFloating->CreateEx(0, NULL, "floating", WS_POPUP | WS_CAPTION, CRect(10, 10, 60, 60), pFrame));
    ::SetWindowPos(pFloating->m_hWnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    pFloating->nActivateNotices = 0;

    WindowChurn churn;
    HANDLE hThread = ::CreateThread(NULL, 0, &WindowChurn::Run, &churn, 0, NULL);
    ASSERT_TRUE(hThread != NULL);
    for (int n = 0; n < 200 && churn.nDestroyed == 0; n++)
        ::Sleep(5);
    const int kNotices = 1000;
    for (int n = 0; n < kNotices; n++)
        pFrame->NotifyFloatingWindows(FS_ACTIVATE);
    const LONG nDestroyed = churn.nDestroyed;
    churn.bStop = TRUE;
    EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(hThread, 10000));
    ::CloseHandle(hThread);
    EXPECT_GT(nDestroyed, 0) << "no window of the other thread came and went";
    EXPECT_EQ(kNotices, pFloating->nActivateNotices);
    pFrame->DestroyWindow();
    DrainQuit();
}

// The raise puts every visible window the frame owns (also one owned through
// another owned window) above the frame, keeps their order among themselves
// (a topmost one of the family stays topmost, above the others), and leaves
// alone hidden windows, windows the frame does not own, and everything while
// another window is in front.
TEST(OwnedWindows, RaiseKeepsTheOrderAndLeavesOtherWindowsAlone)
{
    CFrameWnd* pFrame = new CFrameWnd;
    ASSERT_TRUE(pFrame->Create(NULL, "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 400, 300)));
    HWND hFrame = pFrame->m_hWnd;
    HWND hFirst = CreateColouredPopup(hFrame, kFirstColour, 100, 100, 100, 100);
    HWND hSecond = CreateColouredPopup(hFrame, kSecondColour, 150, 150, 100, 100);
    HWND hThird = CreateColouredPopup(hSecond, kFirstColour, 300, 50, 50, 50);   // owned by the second
    HWND hTopmost = CreateColouredPopup(hFrame, kSecondColour, 350, 250, 30, 30, WS_EX_TOOLWINDOW | WS_EX_TOPMOST);
    HWND hHidden = CreateColouredPopup(hFrame, kFirstColour, 10, 10, 30, 30);
    HWND hStranger = CreateColouredPopup(NULL, kSecondColour, 10, 250, 30, 30);
    ASSERT_TRUE(hFirst && hSecond && hThird && hTopmost && hHidden && hStranger);
    ::ShowWindow(hHidden, SW_HIDE);

    // The frame over its windows, as the display leaves it after activating
    // it; the raise it asks for is held back.
    ::SetForegroundWindow(hStranger);
    TakeRaiseRequests(hFrame);
    ::SetForegroundWindow(hFrame);
    MSG msg;
    EXPECT_TRUE(::PeekMessage(&msg, hFrame, WM_RAISEOWNEDWINDOWS, WM_RAISEOWNEDWINDOWS, PM_REMOVE)) << "activated";
    for (int n = 0; n < 100 && !(IsAbove(hFrame, hFirst) && IsAbove(hFrame, hSecond) && IsAbove(hFrame, hThird)); n++)
    {
        ::Sleep(20);
        ::PeekMessage(&msg, hFrame, WM_RAISEOWNEDWINDOWS, WM_RAISEOWNEDWINDOWS, PM_REMOVE);
    }
    ASSERT_TRUE(IsAbove(hFrame, hFirst) && IsAbove(hFrame, hSecond) && IsAbove(hFrame, hThird));
    EXPECT_TRUE(pFrame->IsOwnedWindowBehind());
    const std::vector<HWND> before = InOrder({hFirst, hSecond, hThird});
    const bool bStrangerBelow = IsAbove(hFrame, hStranger);

    EXPECT_EQ(4, pFrame->RaiseOwnedWindows()) << "the three and the topmost one";
    for (HWND hWnd : {hFirst, hSecond, hThird})
        EXPECT_TRUE(IsAbove(hWnd, hFrame));
    EXPECT_TRUE(before == InOrder({hFirst, hSecond, hThird})) << "their order among themselves";
    EXPECT_FALSE(pFrame->IsOwnedWindowBehind());
    EXPECT_TRUE(::GetWindowLong(hTopmost, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(IsAbove(hTopmost, hFirst) && IsAbove(hTopmost, hSecond));
    EXPECT_FALSE(::IsWindowVisible(hHidden));
    EXPECT_EQ(bStrangerBelow, IsAbove(hFrame, hStranger)) << "a window the frame does not own is not moved";
    for (HWND hWnd : {hFirst, hSecond, hThird, hFrame})
        EXPECT_FALSE(::GetWindowLong(hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST)
            << (hWnd == hFirst ? "first" : hWnd == hSecond ? "second" : hWnd == hThird ? "third" : "frame");

    // The held-back request runs (the next ones are posted again).
    pFrame->SendMessage(WM_RAISEOWNEDWINDOWS);

    // Another window in front: nothing is raised over it.
    ::SetForegroundWindow(hStranger);
    TakeRaiseRequests(hFrame);
    EXPECT_EQ(0, pFrame->RaiseOwnedWindows());

    // A hidden or minimised frame raises nothing. Minimised and restored by
    // a call (as another program does), it hides and shows the windows it
    // owns with it, and only those.
    ::SetForegroundWindow(hFrame);
    ::ShowWindow(hFrame, SW_MINIMIZE);
    EXPECT_EQ(0, pFrame->RaiseOwnedWindows());
    EXPECT_FALSE(::IsWindowVisible(hFirst)) << "shown with the frame minimised";
    ::ShowWindow(hFrame, SW_RESTORE);
    EXPECT_TRUE(::IsWindowVisible(hFirst) && ::IsWindowVisible(hThird)) << "hidden with the frame restored";
    EXPECT_FALSE(::IsWindowVisible(hHidden)) << "a window hidden before comes back";
    ::ShowWindow(hFrame, SW_HIDE);
    EXPECT_EQ(0, pFrame->RaiseOwnedWindows());

    ::DestroyWindow(hStranger);
    pFrame->DestroyWindow();
    DrainQuit();
}

// Activation, being shown or raised and being enabled again ask for the raise;
// requests made before it runs are one; a window moved by the raise that asks
// again meanwhile is refused, and its request is dropped.
TEST(OwnedWindows, RequestsComeFromTheFramesOrderAndAreCoalesced)
{
    CFrameWnd* pFrame = new CFrameWnd;
    ASSERT_TRUE(pFrame->Create(NULL, "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 300, 200)));
    HWND hFrame = pFrame->m_hWnd;
    CReenteringMiniFrame* pMini = new CReenteringMiniFrame;
    ASSERT_TRUE(pMini->CreateEx(0, NULL, "mini", WS_POPUP | WS_CAPTION | WS_VISIBLE, CRect(10, 10, 60, 60), pFrame));
    ::SetForegroundWindow(hFrame);
    TakeRaiseRequests(hFrame);

    for (int i = 0; i < 5; i++)
        pFrame->KeepOwnedWindowsInFront();
    EXPECT_EQ(1, TakeRaiseRequests(hFrame)) << "five requests";
    pFrame->SendMessage(WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_EQ(1, TakeRaiseRequests(hFrame)) << "activated";
    pFrame->SendMessage(WM_ACTIVATE, WA_INACTIVE, 0);
    EXPECT_EQ(0, TakeRaiseRequests(hFrame)) << "deactivated";
    pFrame->EnableWindow(FALSE);
    EXPECT_EQ(0, TakeRaiseRequests(hFrame)) << "disabled";
    pFrame->EnableWindow(TRUE);
    EXPECT_EQ(1, TakeRaiseRequests(hFrame)) << "enabled again";
    pFrame->SetWindowPos(NULL, 5, 5, 0, 0, SWP_NOZORDER | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_EQ(0, TakeRaiseRequests(hFrame)) << "moved only";
    pFrame->SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    EXPECT_EQ(1, TakeRaiseRequests(hFrame)) << "raised";

    // The owned window asks again while the raise moves it.
    pMini->pOwnerFrame = pFrame;
    EXPECT_EQ(1, pFrame->RaiseOwnedWindows());
    pMini->pOwnerFrame = NULL;
    ASSERT_FALSE(pMini->nestedResults.empty());
    for (int nResult : pMini->nestedResults)
        EXPECT_EQ(0, nResult);
    EXPECT_EQ(0, TakeRaiseRequests(hFrame)) << "a request made during the raise";
    pFrame->DestroyWindow();
    DrainQuit();
}

// What the screen shows: the windows the frame owns are seen over it after
// it is activated, after one of them was active, after a modal window it
// owned closed and it was enabled again, and after it was maximised and
// restored.
TEST(OwnedWindows, OwnedWindowsAreSeenInFrontOfTheFrame)
{
    CFrameWnd* pFrame = new CFrameWnd;
    ASSERT_TRUE(pFrame->Create(NULL, "owner", WS_OVERLAPPEDWINDOW, CRect(0, 0, 400, 300)));
    HWND hFrame = pFrame->m_hWnd;
    ::SetClassLongPtr(hFrame, GCLP_HBRBACKGROUND, (LONG_PTR)::CreateSolidBrush(kFrameColour));
    // Shown while the frame is hidden, as floating windows restored at start-up.
    HWND hFirst = CreateColouredPopup(hFrame, kFirstColour, 100, 100, 100, 100);
    HWND hSecond = CreateColouredPopup(hFrame, kSecondColour, 150, 150, 100, 100);
    ASSERT_TRUE(hFirst != NULL && hSecond != NULL);
    pFrame->ShowWindow(SW_SHOW);
    ::SetForegroundWindow(hFrame);
    EXPECT_EQ("", WaitForOwnedWindowsOnScreen(hFrame, hFirst, hSecond)) << "the frame shown";

    ::SetActiveWindow(hFirst);
    Pump(50);
    ::SetForegroundWindow(hFrame);
    EXPECT_EQ("", WaitForOwnedWindowsOnScreen(hFrame, hFirst, hSecond)) << "activated after one of its windows";

    // A modal window of the frame's comes and goes.
    ::EnableWindow(hFrame, FALSE);
    HWND hModal = CreateColouredPopup(hFrame, kFrameColour, 260, 40, 60, 60, 0);
    ::SetActiveWindow(hModal);
    Pump(50);
    ::EnableWindow(hFrame, TRUE);
    ::DestroyWindow(hModal);
    EXPECT_EQ("", WaitForOwnedWindowsOnScreen(hFrame, hFirst, hSecond)) << "after a modal window";

    pFrame->ShowWindow(SW_MAXIMIZE);
    EXPECT_EQ("", WaitForOwnedWindowsOnScreen(hFrame, hFirst, hSecond)) << "maximised";
    pFrame->ShowWindow(SW_RESTORE);
    EXPECT_EQ("", WaitForOwnedWindowsOnScreen(hFrame, hFirst, hSecond)) << "restored";
    EXPECT_TRUE(IsAbove(hFirst, hFrame) && IsAbove(hSecond, hFrame));
    pFrame->DestroyWindow();
    DrainQuit();
}

namespace
{
const COLORREF kTopmostColour = RGB(220, 200, 40);

// What the screen must show at some points, waited for about three seconds
// while messages are pumped. Empty when it shows them, else what it shows.
std::string WaitForScreen(const std::vector<std::pair<POINT, COLORREF>>& expected)
{
    std::string strSeen;
    for (int n = 0; n < 150; n++)
    {
        strSeen.clear();
        for (const auto& point : expected)
        {
            COLORREF cr = ScreenPixel(point.first.x, point.first.y);
            if (cr != point.second)
            {
                char sz[96];
                wsprintfA(sz, "at %d,%d rgb(%d,%d,%d); ", point.first.x, point.first.y, GetRValue(cr), GetGValue(cr),
                          GetBValue(cr));
                strSeen += sz;
            }
        }
        if (strSeen.empty())
            return strSeen;
        Pump(20);
    }
    return strSeen;
}

// Pumps until the frame has done what follows an activation (the raise it
// posts and the checks of the order after it), as a player's next action
// comes a while after the click that activated the frame. FALSE when it
// does not settle within about five seconds.
bool WaitUntilSettled(CFrameWnd* pFrame)
{
    for (int n = 0; n < 250; n++)
    {
        Pump(20);
        if (pFrame->m_nRaiseChecks <= 0 && !pFrame->m_bRaiseOwnedPosted)
            return true;
    }
    return false;
}

// An always-on-top window of another thread (as another program's would be),
// at 180,110 (30 x 30): over the first owned window's right edge.
struct TopmostElsewhere
{
    HWND hWnd = NULL;
    HANDLE hThread = NULL;
    HANDLE hReady = ::CreateEventA(NULL, TRUE, FALSE, NULL);

    static DWORD WINAPI Run(void* pv)
    {
        TopmostElsewhere* p = (TopmostElsewhere*)pv;
        p->hWnd = CreateColouredPopup(NULL, kTopmostColour, 180, 110, 30, 30, WS_EX_TOOLWINDOW | WS_EX_TOPMOST);
        ::SetEvent(p->hReady);
        MSG msg;
        while (::GetMessage(&msg, NULL, 0, 0) > 0)
            ::DispatchMessage(&msg);
        if (p->hWnd != NULL)
            ::DestroyWindow(p->hWnd);
        return 0;
    }
    TopmostElsewhere()
    {
        hThread = ::CreateThread(NULL, 0, &Run, this, 0, NULL);
        ::WaitForSingleObject(hReady, 5000);
    }
    ~TopmostElsewhere()
    {
        ::PostThreadMessage(::GetThreadId(hThread), WM_QUIT, 0, 0);
        ::WaitForSingleObject(hThread, 5000);
        ::CloseHandle(hThread);
        ::CloseHandle(hReady);
    }
};
} // namespace

// Whatever stacks the frame over its windows on the screen, they are seen in
// front of it again, in their own order, below an always-on-top window of
// another thread: the frame given the focus while that window shows (the
// display raises the window of the focus over everything), the frame raised
// above them in the order, an owned window shown again after the frame was
// activated while it was hidden, and a window owned through another one.
TEST(OwnedWindows, TheScreenShowsOwnedWindowsInFrontWhateverRaisedTheFrame)
{
    ASSERT_TRUE(AfxOwnedWindowsRestacked()) << "the tests run under Wine without a window manager";
    CFrameWnd* pFrame = new CFrameWnd;
    ASSERT_TRUE(pFrame->Create(NULL, "owner", WS_OVERLAPPEDWINDOW, CRect(0, 0, 400, 300)));
    HWND hFrame = pFrame->m_hWnd;
    EXPECT_TRUE(AfxIsFollowingScreenOrder());
    ::SetClassLongPtr(hFrame, GCLP_HBRBACKGROUND, (LONG_PTR)::CreateSolidBrush(kFrameColour));
    pFrame->ShowWindow(SW_SHOW);
    ::SetForegroundWindow(hFrame);
    HWND hFirst = CreateColouredPopup(hFrame, kFirstColour, 100, 100, 100, 100);
    HWND hSecond = CreateColouredPopup(hFrame, kSecondColour, 150, 150, 100, 100);
    HWND hThird = CreateColouredPopup(hSecond, RGB(40, 200, 200), 300, 50, 50, 50);
    ASSERT_TRUE(hFirst != NULL && hSecond != NULL && hThird != NULL);
    const COLORREF kThirdColour = RGB(40, 200, 200);
    // The second lies over the first where they overlap (at 170,170).
    const std::vector<std::pair<POINT, COLORREF>> inFront = {{{120, 120}, kFirstColour},
                                                             {{230, 230}, kSecondColour},
                                                             {{170, 170}, kSecondColour},
                                                             {{320, 70}, kThirdColour}};
    EXPECT_EQ("", WaitForScreen(inFront)) << "shown";

    {
        TopmostElsewhere topmost;
        ASSERT_TRUE(topmost.hWnd != NULL);
        std::vector<std::pair<POINT, COLORREF>> withTopmost = inFront;
        withTopmost.push_back({{190, 120}, kTopmostColour});
        EXPECT_EQ("", WaitForScreen(withTopmost)) << "an always-on-top window came";

        // The focus to the frame raises it over everything on the screen.
        ::SetActiveWindow(hFirst);
        Pump(50);
        ::SetForegroundWindow(hFrame);
        ::SetFocus(hFrame);
        EXPECT_EQ("", WaitForScreen(withTopmost)) << "the frame activated under an always-on-top window";
        for (HWND hWnd : {hFirst, hSecond, hThird})
            EXPECT_FALSE(::GetWindowLong(hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
        EXPECT_EQ(hFrame, ::GetWindow(hFirst, GW_OWNER));
        EXPECT_EQ(hSecond, ::GetWindow(hThird, GW_OWNER));
        EXPECT_TRUE(IsAbove(hSecond, hFirst)) << "their order among themselves";
        EXPECT_TRUE(IsAbove(topmost.hWnd, hSecond));
        EXPECT_EQ(hFrame, ::GetForegroundWindow()) << "nothing else activated";

        // The frame moved above them in the order (as a pane attached at run
        // time moves it).
        pFrame->SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
        EXPECT_EQ("", WaitForScreen(withTopmost)) << "the frame raised in the order";
        EXPECT_TRUE(IsAbove(hFirst, hFrame) && IsAbove(hSecond, hFrame));
    }

    // Hidden while the frame is activated, then shown without activation.
    ::ShowWindow(hSecond, SW_HIDE);
    ::SetActiveWindow(hFirst);
    Pump(50);
    ::SetForegroundWindow(hFrame);
    ::SetFocus(hFrame);
    ASSERT_TRUE(WaitUntilSettled(pFrame));
    ::ShowWindow(hSecond, SW_SHOWNA);
    EXPECT_EQ("", WaitForScreen(inFront)) << "shown again after the frame was activated";

    // A window of the frame takes the keyboard a while later: the display
    // brings the frame to the top, and the system's order follows without
    // any move of the frame's own.
    HWND hChild = ::CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 20, 20, hFrame, NULL, NULL, NULL);
    ASSERT_TRUE(hChild != NULL);
    ASSERT_TRUE(WaitUntilSettled(pFrame));
    ::SetFocus(hChild);
    EXPECT_EQ("", WaitForScreen(inFront)) << "a window of the frame took the focus";
    pFrame->DestroyWindow();
    EXPECT_FALSE(AfxIsFollowingScreenOrder()) << "the frame's hook goes with it";
    DrainQuit();
}

// A topmost popup of the program's own (a tip) owned by a window of the
// frame's family stacks with that family: the frame activated from another
// program's window while the tip shows brings the tip's owner back in front
// of it on the screen, with the tip above it, and the other windows too.
TEST(OwnedWindows, ATipOfAnOwnedWindowStacksWithItsFamily)
{
    ASSERT_TRUE(AfxOwnedWindowsRestacked()) << "the tests run under Wine without a window manager";
    CFrameWnd* pFrame = new CFrameWnd;
    ASSERT_TRUE(pFrame->Create(NULL, "owner", WS_OVERLAPPEDWINDOW, CRect(0, 0, 400, 300)));
    HWND hFrame = pFrame->m_hWnd;
    ::SetClassLongPtr(hFrame, GCLP_HBRBACKGROUND, (LONG_PTR)::CreateSolidBrush(kFrameColour));
    pFrame->ShowWindow(SW_SHOW);
    ::SetForegroundWindow(hFrame);
    HWND hFirst = CreateColouredPopup(hFrame, kFirstColour, 100, 100, 100, 100);
    HWND hSecond = CreateColouredPopup(hFrame, kSecondColour, 220, 100, 100, 100);
    ASSERT_TRUE(hFirst != NULL && hSecond != NULL);
    ASSERT_TRUE(WaitUntilSettled(pFrame));

    // Another program in front, over the frame and its windows; then the
    // tip of the first window shows (its right end over the frame).
    HWND hOther = ::CreateWindowExA(0, "STATIC", "another program", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, NULL,
                                    NULL, NULL, NULL);
    ASSERT_TRUE(hOther != NULL);
    ::SetForegroundWindow(hOther);
    ::SetFocus(hOther);
    ASSERT_TRUE(WaitUntilSettled(pFrame));
    HWND hTip = CreateColouredPopup(hFirst, kTopmostColour, 150, 180, 80, 16, WS_EX_TOOLWINDOW | WS_EX_TOPMOST);
    ASSERT_TRUE(hTip != NULL);

    ::DestroyWindow(hOther);
    ::SetForegroundWindow(hFrame);
    ::SetFocus(hFrame);
    const std::vector<std::pair<POINT, COLORREF>> inFront = {{{120, 120}, kFirstColour},
                                                             {{300, 180}, kSecondColour},
                                                             {{160, 188}, kTopmostColour},
                                                             {{50, 50}, kFrameColour}};
    EXPECT_EQ("", WaitForScreen(inFront)) << "the frame activated while a tip of its family shows";
    ASSERT_TRUE(WaitUntilSettled(pFrame));
    EXPECT_EQ("", WaitForScreen(inFront)) << "after the checks that follow";
    EXPECT_TRUE(::GetWindowLong(hTip, GWL_EXSTYLE) & WS_EX_TOPMOST) << "the tip stays topmost";
    EXPECT_EQ(hFirst, ::GetWindow(hTip, GW_OWNER));
    pFrame->DestroyWindow();
    DrainQuit();
}

// A button pressed on an owned window that a modal window of the family
// disables (the system reports HTERROR) brings that modal window to the top
// of the order, active, and the screen shows it over the clicked window;
// the same on a window disabled with no modal window up does nothing.
TEST(OwnedWindows, AClickOnAWindowAModalWindowDisablesBringsTheModalWindowForward)
{
    CFrameWnd* pFrame = new CFrameWnd;
    ASSERT_TRUE(pFrame->Create(NULL, "owner", WS_OVERLAPPEDWINDOW, CRect(0, 0, 400, 300)));
    HWND hFrame = pFrame->m_hWnd;
    ::SetClassLongPtr(hFrame, GCLP_HBRBACKGROUND, (LONG_PTR)::CreateSolidBrush(kFrameColour));
    pFrame->ShowWindow(SW_SHOW);
    ::SetForegroundWindow(hFrame);
    HWND hPane = CreateColouredPopup(hFrame, kFirstColour, 100, 100, 120, 120);
    ASSERT_TRUE(hPane != NULL);
    ASSERT_TRUE(WaitUntilSettled(pFrame));

    // Disabled with no modal window up: nothing moves.
    ::EnableWindow(hPane, FALSE);
    ::SendMessage(hPane, WM_SETCURSOR, (WPARAM)hPane, MAKELPARAM(HTERROR, WM_LBUTTONDOWN));
    EXPECT_EQ(hFrame, ::GetForegroundWindow());
    ::EnableWindow(hPane, TRUE);

    // A modal window of the frame's (the frame and the pane disabled), then
    // the pane stacked over it, as a window manager raises a clicked window.
    HWND hModal = CreateColouredPopup(hFrame, kSecondColour, 150, 150, 120, 120, 0);
    ASSERT_TRUE(hModal != NULL);
    ::EnableWindow(hFrame, FALSE);
    ::EnableWindow(hPane, FALSE);
    ::SetForegroundWindow(hModal);
    ::SetActiveWindow(hModal);
    ::SetWindowPos(hPane, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_EQ("", WaitForScreen({{{180, 180}, kFirstColour}})) << "the pane over the modal window";

    // A move of the pointer on it changes nothing; a press brings the modal
    // window forward.
    ::SendMessage(hPane, WM_SETCURSOR, (WPARAM)hPane, MAKELPARAM(HTERROR, WM_MOUSEMOVE));
    EXPECT_TRUE(IsAbove(hPane, hModal)) << "a pointer move";
    ::SendMessage(hPane, WM_SETCURSOR, (WPARAM)hPane, MAKELPARAM(HTERROR, WM_LBUTTONDOWN));
    EXPECT_TRUE(IsAbove(hModal, hPane));
    EXPECT_EQ(hModal, ::GetForegroundWindow());
    EXPECT_EQ("", WaitForScreen({{{180, 180}, kSecondColour}, {{120, 120}, kFirstColour}, {{50, 50}, kFrameColour}}))
        << "the modal window over the clicked pane, both over the frame";

    ::EnableWindow(hFrame, TRUE);
    ::EnableWindow(hPane, TRUE);
    ::DestroyWindow(hModal);
    pFrame->DestroyWindow();
    DrainQuit();
}

// On Windows (and with a window manager) nothing of this runs: no hook, no
// request, no window moved, also by a press on a window a modal window
// disables.
TEST(OwnedWindows, WhereTheSystemKeepsOwnedWindowsInFrontNothingIsMoved)
{
    AfxSetOwnedWindowsRestacked(0);
    CFrameWnd* pFrame = new CFrameWnd;
    ASSERT_TRUE(pFrame->Create(NULL, "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 300, 200)));
    HWND hFrame = pFrame->m_hWnd;
    EXPECT_FALSE(AfxIsFollowingScreenOrder());
    HWND hFirst = CreateColouredPopup(hFrame, kFirstColour, 100, 100, 50, 50);
    ::SetForegroundWindow(hFrame);
    pFrame->KeepOwnedWindowsInFront();
    pFrame->SendMessage(WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_EQ(0, TakeRaiseRequests(hFrame));

    // A press on a window that a modal window of the frame's disables: the
    // system itself beeps and brings the modal window forward.
    HWND hModal = CreateColouredPopup(hFrame, kSecondColour, 150, 150, 50, 50, 0);
    ASSERT_TRUE(hModal != NULL);
    ::EnableWindow(hFrame, FALSE);
    ::EnableWindow(hFirst, FALSE);
    ::SetActiveWindow(hModal);
    ::SetWindowPos(hFirst, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ASSERT_TRUE(IsAbove(hFirst, hModal));
    ::SendMessage(hFirst, WM_SETCURSOR, (WPARAM)hFirst, MAKELPARAM(HTERROR, WM_LBUTTONDOWN));
    EXPECT_TRUE(IsAbove(hFirst, hModal)) << "the modal window was moved";
    ::EnableWindow(hFrame, TRUE);
    ::DestroyWindow(hModal);
    pFrame->DestroyWindow();
    AfxSetOwnedWindowsRestacked(-1);
    DrainQuit();
}

/////////////////////////////////////////////////////////////////////////////
// Documents, views and the single-document template

std::vector<std::string> g_events;

class CNumberDoc : public CDocument
{
    DECLARE_DYNCREATE(CNumberDoc)
public:
    int m_nValue = 0;
    int nNew = 0;
    virtual BOOL OnNewDocument()
    {
        ++nNew;
        g_events.push_back("new");
        return CDocument::OnNewDocument();
    }
    virtual void DeleteContents() { m_nValue = 0; }
    virtual void Serialize(CArchive& ar)
    {
        if (ar.IsStoring())
            ar << m_nValue;
        else
            ar >> m_nValue;
    }
};
IMPLEMENT_DYNCREATE(CNumberDoc, CDocument)

class CNumberView : public CView
{
    DECLARE_DYNCREATE(CNumberView)
public:
    virtual void OnDraw(CDC*) {}
    virtual void OnInitialUpdate()
    {
        // The frame made this the active view before telling anyone.
        CFrameWnd* pFrame = GetParentFrame();
        g_events.push_back(pFrame != NULL && pFrame->GetActiveView() == this ? "initial-active" : "initial-inactive");
        CView::OnInitialUpdate();
    }
    virtual void OnUpdate(CView*, LPARAM lHint, CObject*) { g_events.push_back("update-" + std::to_string(lHint)); }
};
IMPLEMENT_DYNCREATE(CNumberView, CView)

class CNumberFrame : public CFrameWnd
{
    DECLARE_DYNCREATE(CNumberFrame)
};
IMPLEMENT_DYNCREATE(CNumberFrame, CFrameWnd)

class DocumentTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_events.clear();
        Boxes().texts.clear();
        Boxes().nAnswer = IDOK;
        pTemplate = new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CNumberDoc), RUNTIME_CLASS(CNumberFrame),
                                           RUNTIME_CLASS(CNumberView));
        theApp.AddDocTemplate(pTemplate);
        ::GetTempPath(MAX_PATH, szFile);
        lstrcat(szFile, "wnd_frame_test.num");
        ::DeleteFile(szFile);
    }
    void TearDown() override
    {
        if (theApp.m_pMainWnd != NULL)
            theApp.m_pMainWnd->DestroyWindow();
        DrainQuit();
        theApp.m_templateList.RemoveAll();
        delete pTemplate;
        ::DeleteFile(szFile);
        Boxes().nAnswer = IDOK;
    }
    CNumberDoc* Open(LPCTSTR lpszPath)
    {
        return (CNumberDoc*)pTemplate->OpenDocumentFile(lpszPath);
    }

    CSingleDocTemplate* pTemplate = NULL;
    char szFile[MAX_PATH];
};

TEST_F(DocumentTest, TheDocumentStringHasSevenFields)
{
    CString str;
    EXPECT_TRUE(pTemplate->GetDocString(str, CDocTemplate::windowTitle));
    EXPECT_STREQ("Brindlemark", str);
    EXPECT_TRUE(pTemplate->GetDocString(str, CDocTemplate::docName));
    EXPECT_STREQ("", str);
    EXPECT_TRUE(pTemplate->GetDocString(str, CDocTemplate::regFileTypeName));
    EXPECT_STREQ("Brindlemark.Document", str);
}

TEST_F(DocumentTest, ANewDocumentMakesTheMainFrameAndView)
{
    CNumberDoc* pDoc = Open(NULL);
    ASSERT_TRUE(pDoc != NULL);
    CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, theApp.m_pMainWnd);
    ASSERT_TRUE(pFrame != NULL);
    EXPECT_TRUE(pFrame->IsKindOf(RUNTIME_CLASS(CNumberFrame)));
    EXPECT_TRUE(pFrame->IsWindowVisible());
    EXPECT_EQ(pDoc, pFrame->GetActiveDocument());
    EXPECT_EQ(pDoc->GetDocTemplate(), pTemplate);
    EXPECT_EQ(std::vector<std::string>({ "new", "initial-active", "update-0" }), g_events);

    CString strTitle;
    pFrame->GetWindowText(strTitle);
    EXPECT_STREQ("Untitled - Brindlemark", strTitle);
    EXPECT_TRUE(pFrame->m_hMenuDefault != NULL);
    EXPECT_EQ(pFrame->m_hMenuDefault, ::GetMenu(pFrame->m_hWnd));
    EXPECT_TRUE(pFrame->m_hAccelTable != NULL);
    EXPECT_EQ(pFrame->GetActiveView(), pFrame->GetDescendantWindow(AFX_IDW_PANE_FIRST, TRUE));
}

TEST_F(DocumentTest, ALaterNewReusesTheDocumentAfterAskingToSave)
{
    CNumberDoc* pDoc = Open(NULL);
    ASSERT_TRUE(pDoc != NULL);
    CWnd* pFrame = theApp.m_pMainWnd;
    pDoc->m_nValue = 5;
    pDoc->SetModifiedFlag();

    Boxes().nAnswer = IDCANCEL;   // the user keeps the document
    EXPECT_EQ(NULL, Open(NULL));
    EXPECT_EQ(5, pDoc->m_nValue);
    ASSERT_EQ(1u, Boxes().texts.size());
    EXPECT_EQ("Save changes to Untitled?", Boxes().texts[0]);

    Boxes().nAnswer = IDNO;   // discards it
    EXPECT_EQ(pDoc, Open(NULL));
    EXPECT_EQ(theApp.m_pMainWnd, pFrame);   // the same frame
    EXPECT_EQ(0, pDoc->m_nValue);
    EXPECT_EQ(2, pDoc->nNew);
    EXPECT_FALSE(pDoc->IsModified());
}

TEST_F(DocumentTest, SavedDocumentsOpenAgainWithTheirNameAsTitle)
{
    CNumberDoc* pDoc = Open(NULL);
    ASSERT_TRUE(pDoc != NULL);
    pDoc->m_nValue = 1234;
    theApp.m_pRecentFileList = new CRecentFileList(0, "Recent File List", "File%d", 4);
    ASSERT_TRUE(pDoc->DoSave(szFile));
    EXPECT_FALSE(pDoc->IsModified());
    EXPECT_STREQ("wnd_frame_test.num", pDoc->GetTitle());
    EXPECT_TRUE(AfxComparePath(szFile, (*theApp.m_pRecentFileList)[0]));   // a recent file now
    delete theApp.m_pRecentFileList;
    theApp.m_pRecentFileList = NULL;

    CString strTitle;
    theApp.m_pMainWnd->GetWindowText(strTitle);
    EXPECT_STREQ("wnd_frame_test.num - Brindlemark", strTitle);

    EXPECT_EQ(pDoc, Open(NULL));
    EXPECT_EQ(0, pDoc->m_nValue);
    EXPECT_EQ(pDoc, Open(szFile));
    EXPECT_EQ(1234, pDoc->m_nValue);
    EXPECT_STREQ("wnd_frame_test.num", pDoc->GetTitle());
}

TEST_F(DocumentTest, ABrokenFileIsReportedAndTheDocumentStaysUsable)
{
    CNumberDoc* pDoc = Open(NULL);
    ASSERT_TRUE(pDoc != NULL);

    // Missing: reported; the document is untouched.
    pDoc->m_nValue = 9;
    EXPECT_EQ(NULL, Open("C:\\no such folder\\missing.num"));
    EXPECT_EQ(1u, Boxes().texts.size());
    EXPECT_EQ(9, pDoc->m_nValue);

    // Truncated (2 bytes of a 4-byte number): reported, and the document is
    // a clean new one rather than half-loaded.
    HANDLE hFile = ::CreateFile(szFile, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    DWORD dwWritten;
    ::WriteFile(hFile, "\x01\x02", 2, &dwWritten, NULL);
    ::CloseHandle(hFile);
    Boxes().texts.clear();
    EXPECT_EQ(NULL, Open(szFile));
    EXPECT_EQ(1u, Boxes().texts.size());
    EXPECT_EQ(0, pDoc->m_nValue);
    EXPECT_FALSE(pDoc->IsModified());
    EXPECT_STREQ("Untitled", pDoc->GetTitle());
    EXPECT_TRUE(::IsWindow(theApp.m_pMainWnd->GetSafeHwnd()));
}

TEST_F(DocumentTest, ClosingTheFrameAsksTheDocumentAndCanBeRefused)
{
    CNumberDoc* pDoc = Open(NULL);
    ASSERT_TRUE(pDoc != NULL);
    HWND hWndFrame = theApp.m_pMainWnd->m_hWnd;
    pDoc->SetModifiedFlag();
    Boxes().nAnswer = IDCANCEL;
    ::SendMessage(hWndFrame, WM_CLOSE, 0, 0);
    EXPECT_TRUE(::IsWindow(hWndFrame));

    // Exit closes it (the document goes with the frame).
    Boxes().nAnswer = IDNO;
    ::SendMessage(hWndFrame, WM_COMMAND, ID_APP_EXIT, 0);
    EXPECT_FALSE(::IsWindow(hWndFrame));
    EXPECT_EQ(NULL, theApp.m_pMainWnd);
    EXPECT_EQ(NULL, pTemplate->m_pOnlyDoc);
    EXPECT_TRUE(DrainQuit());
}

TEST_F(DocumentTest, UpdateAllViewsSkipsTheSender)
{
    CNumberDoc* pDoc = Open(NULL);
    ASSERT_TRUE(pDoc != NULL);
    POSITION pos = pDoc->GetFirstViewPosition();
    ASSERT_TRUE(pos != NULL);
    CView* pView = pDoc->GetNextView(pos);
    EXPECT_EQ(NULL, pos);
    g_events.clear();
    pDoc->UpdateAllViews(NULL, 7);
    pDoc->UpdateAllViews(pView, 8);
    EXPECT_EQ(std::vector<std::string>({ "update-7" }), g_events);
}

} // namespace

/////////////////////////////////////////////////////////////////////////////
// Printing

// Answers the print dialog's "install a printer" message from another
// thread (the message is modal on the test's own), counting the messages.
class CNoPrinterAnswerer
{
public:
    CNoPrinterAnswerer() : m_bStop(FALSE), m_nAnswered(0)
    {
        m_hThread = ::CreateThread(NULL, 0, &ThreadProc, this, 0, NULL);
    }
    ~CNoPrinterAnswerer()
    {
        m_bStop = TRUE;
        ::WaitForSingleObject(m_hThread, 5000);
        ::CloseHandle(m_hThread);
    }
    int Answered() const { return m_nAnswered; }

private:
    static BOOL CALLBACK FindMessage(HWND hWnd, LPARAM lParam)
    {
        DWORD dwPid = 0;
        ::GetWindowThreadProcessId(hWnd, &dwPid);
        char szTitle[64] = "";
        ::GetWindowTextA(hWnd, szTitle, sizeof(szTitle));
        if (dwPid == ::GetCurrentProcessId() && ::IsWindowVisible(hWnd) && lstrcmpA(szTitle, "Print") == 0)
        {
            *(HWND*)lParam = hWnd;
            return FALSE;
        }
        return TRUE;
    }
    static DWORD WINAPI ThreadProc(LPVOID pv)
    {
        CNoPrinterAnswerer* pThis = (CNoPrinterAnswerer*)pv;
        while (!pThis->m_bStop)
        {
            HWND hMessage = NULL;
            ::EnumWindows(&FindMessage, (LPARAM)&hMessage);
            if (hMessage != NULL)
            {
                ::PostMessage(hMessage, WM_COMMAND, IDOK, 0);
                ++pThis->m_nAnswered;
                while (::IsWindow(hMessage) && !pThis->m_bStop)
                    ::Sleep(20);
            }
            ::Sleep(20);
        }
        return 0;
    }
    volatile BOOL m_bStop;
    volatile LONG m_nAnswered;
    HANDLE m_hThread;
};

// Without a printer, direct printing and the preview are refused after the
// print dialog's message tells the player to install one.
TEST(Printing, WithoutAPrinterDirectPrintingAndPreviewAreRefused)
{
    CFrameWnd* pFrame = new CFrameWnd;
    ASSERT_TRUE(pFrame->Create(NULL, "printing", WS_POPUP, CRect(0, 0, 100, 100)));
    CPlainView* pView = new CPlainView;
    ASSERT_TRUE(pView->Create(NULL, "view", WS_CHILD, CRect(0, 0, 10, 10), pFrame, 1));
    CPrintInfo info;
    info.m_bDirect = TRUE;
    if (info.m_pPD->GetDefaults())
    {
        ::DeleteDC(info.m_pPD->m_pd.hDC);
        pFrame->DestroyWindow();
        GTEST_SKIP() << "this machine has a printer";
    }
    CNoPrinterAnswerer answerer;
    EXPECT_FALSE(pView->DoPreparePrinting(&info));
    EXPECT_EQ(nullptr, info.m_pPD->m_pd.hDC);

    CPrintInfo preview;
    preview.m_bPreview = TRUE;
    EXPECT_FALSE(pView->DoPreparePrinting(&preview));
    EXPECT_FALSE(pView->DoPreparePrinting(NULL));
    EXPECT_EQ(2, answerer.Answered()) << "the player was not told";
    pFrame->DestroyWindow();
}
