// The ribbon tests' frame and helpers.
#include "ribbon_testframe.h"

#include <algorithm>

#include "XTPCommandBarKeyboardTip.h"
#include "XTPImageManager.h"
#include "XTPPopupBar.h"
#include "resource.h"
#include "ribbon_res.h"
#include "support/gdi_count.h"
#include "support/mouseinput.h"
#include "support/snapshot.h"
#include "support/trackedpopup.h"
#include "support/wndtest.h"

namespace ribbontest
{
IMPLEMENT_DYNCREATE(CRibbonFrame, CXTPFrameWnd)

BEGIN_MESSAGE_MAP(CRibbonFrame, CXTPFrameWnd)
    ON_WM_CREATE()
    ON_MESSAGE(WM_XTP_COMMAND, OnControlNotify)
    ON_COMMAND_RANGE(2001, 2099, OnCommandRange)
    ON_COMMAND(XTP_ID_RIBBONCUSTOMIZE_MORE, OnMoreCommands)
    ON_UPDATE_COMMAND_UI_RANGE(2001, 2099, OnUpdateCommand)
END_MESSAGE_MAP()

CRibbonFrame::CRibbonFrame() : m_lVetoTabChange(0), m_pTheme(NULL)
{
}

BOOL CRibbonFrame::CreateRibbonFrame(const CRect& rc, BOOL bShow)
{
    if (!Create(NULL, _T("Ribbon"), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, rc))
        return FALSE;
    // The frame is the program's main window, as in a real program: the
    // application's idle pass reaches it and all its descendants.
    CWinApp* pApp = AfxGetApp();
    if (pApp != NULL && pApp->m_pMainWnd == NULL)
        pApp->m_pMainWnd = this;
    if (bShow)
    {
        ShowWindow(SW_SHOWNORMAL);
        UpdateWindow();
    }
    Settle();
    return TRUE;
}

void CRibbonFrame::DestroyRibbonFrame()
{
    if (m_hWnd == NULL)
        return;
    XTPMouseManager()->CloseAllTracked();
    // A main window that goes ends the message loop; the tests' loop goes on.
    CWinApp* pApp = AfxGetApp();
    if (pApp != NULL && pApp->m_pMainWnd == this)
        pApp->m_pMainWnd = NULL;
    ::SetWindowPos(m_hWnd, NULL, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    DestroyWindow();
}

CXTPRibbonBar* CRibbonFrame::GetRibbon() const
{
    return m_pCommandBars != NULL ? DYNAMIC_DOWNCAST(CXTPRibbonBar, m_pCommandBars->GetMenuBar()) : NULL;
}

int CRibbonFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CXTPFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!InitCommandBars())
        return -1;
    m_pTheme = new CXTPRibbonTheme();
    m_pTheme->EnableShadow(FALSE);
    m_pTheme->m_bEnableAnimation = FALSE;
    m_pCommandBars->SetPaintManager(m_pTheme);
    m_pCommandBars->GetCommandBarsOptions()->animationType = 5;
    m_pCommandBars->GetCommandBarsOptions()->bShowKeyboardTips = TRUE;
    m_pCommandBars->SetBarClass(CXTPCommandBars::classMenuBar, RUNTIME_CLASS(CXTPRibbonBar));
    if (m_pCommandBars->CreateMenuBar(_T("The Ribbon"), 0) == NULL)
        return -1;
    // The game's toolbar pictures serve as the buttons' icons.
    static const UINT s_game[] = { ID_NEW_PUZZLE, ID_FILE_OPEN, ID_SAVE_PUZZLE, ID_FILE_PRINT,
                                   ID_UNDO_MOVE, ID_BRANCH_BEGIN, ID_BRANCH_ACCEPT, ID_BRANCH_REVERT };
    static const UINT s_timer[] = { ID_TIMER_PAUSE, ID_TIMER_PLAY, ID_TIMER_CLOCK,
                                    ID_TIMER_ELAPSED, ID_TIMER_REMAINING, ID_TIMER_TARGET };
    m_pCommandBars->GetImageManager()->SetIcons(IDR_MAINFRAME, s_game, 8, CSize(16, 15));
    m_pCommandBars->GetImageManager()->SetIcons(IDR_TIMER_TOOLBAR, s_timer, 6, CSize(16, 15));
    // Large buttons show pictures drawn at 32 x 32, not scaled-up small ones.
    static const UINT s_large[] = { ID_NEW_PUZZLE, ID_FILE_OPEN, ID_UNDO_MOVE,
                                    ID_TIMER_PLAY, ID_TIMER_PAUSE, ID_TIMER_CLOCK };
    m_pCommandBars->GetImageManager()->SetIcons(IDB_RIBBON_LARGE_BUTTONS, s_large, 6, CSize(32, 32));
    return 0;
}

void CRibbonFrame::BuildSample()
{
    CXTPRibbonBar* pRibbon = GetRibbon();
    CXTPRibbonTab* pHome = pRibbon->AddTab(_T("&Home"), 1);
    CXTPRibbonGroup* pPuzzle = pHome->AddGroup(_T("Puzzle"), 10);
    CXTPControl* pNew = pPuzzle->Add(xtpControlButton, ID_NEW_PUZZLE, _T("New Puzzle"));
    pNew->SetStyle(xtpButtonIconAndCaptionBelow);
    CXTPControl* pOpen = pPuzzle->Add(xtpControlButton, ID_FILE_OPEN, _T("Open"));
    pOpen->SetStyle(xtpButtonIconAndCaptionBelow);
    pPuzzle->Add(xtpControlButton, ID_SAVE_PUZZLE, _T("Save"))->SetStyle(xtpButtonIconAndCaption);
    pPuzzle->Add(xtpControlButton, ID_FILE_PRINT, _T("Print"))->SetStyle(xtpButtonIconAndCaption);

    CXTPRibbonGroup* pMoves = pHome->AddGroup(_T("Moves"), 11);
    pMoves->Add(xtpControlButton, ID_UNDO_MOVE, _T("Undo"))->SetStyle(xtpButtonIconAndCaptionBelow);
    pMoves->Add(xtpControlButton, ID_BRANCH_BEGIN, _T("Begin Branch"))->SetStyle(xtpButtonIconAndCaption);
    pMoves->Add(xtpControlButton, ID_BRANCH_ACCEPT, _T("Accept"))->SetStyle(xtpButtonIconAndCaption);
    pMoves->Add(xtpControlButton, ID_BRANCH_REVERT, _T("Revert"))->SetStyle(xtpButtonIconAndCaption);
    pMoves->ShowOptionButton(TRUE);
    pMoves->GetControlGroupOption()->SetID(2090);
    pMoves->GetControlGroupOption()->SetTooltip(_T("Move Options"));

    CXTPRibbonGroup* pTimer = pHome->AddGroup(_T("Timer"), 12);
    pTimer->Add(xtpControlButton, ID_TIMER_PLAY, _T("Start"))->SetStyle(xtpButtonIconAndCaptionBelow);
    pTimer->Add(xtpControlButton, ID_TIMER_PAUSE, _T("Pause"))->SetStyle(xtpButtonIconAndCaptionBelow);
    pTimer->Add(xtpControlButton, ID_TIMER_ELAPSED, _T("Elapsed"))->SetStyle(xtpButtonIconAndCaption);
    pTimer->Add(xtpControlButton, ID_TIMER_REMAINING, _T("Remaining"))->SetStyle(xtpButtonIconAndCaption);
    pTimer->Add(xtpControlButton, ID_TIMER_TARGET, _T("Target"))->SetStyle(xtpButtonIconAndCaption);

    CXTPRibbonGroup* pClock = pHome->AddGroup(_T("Clock"), 13);
    pClock->Add(xtpControlButton, ID_TIMER_CLOCK, _T("Show Clock"))->SetStyle(xtpButtonIconAndCaptionBelow);

    // The Insert tab's buttons have captions only: its groups can only
    // collapse into single buttons.
    CXTPRibbonTab* pInsert = pRibbon->AddTab(_T("&Insert"), 2);
    static const char* const s_groups[4][4] = {
        { "Marks", "Shade Cells", "Circle Numbers", "Clear Marks" },
        { "Notes", "Add Note", "Remove Note", "Show Notes" },
        { "Hints", "Next Hint", "Check Grid", "Reveal Square" },
        { "Find", "Find Number", "Find Island", NULL } };
    int nId = 2050;
    for (int g = 0; g < 4; g++)
    {
        CXTPRibbonGroup* pGroup = pInsert->AddGroup(s_groups[g][0], 20 + g);
        for (int c = 1; c < 4 && s_groups[g][c] != NULL; c++)
            pGroup->Add(xtpControlButton, nId++, s_groups[g][c])->SetStyle(xtpButtonCaption);
    }

    CXTPRibbonTab* pView = pRibbon->AddTab(_T("&View"), 3);
    CXTPRibbonGroup* pZoom = pView->AddGroup(_T("Zoom"), 30);
    pZoom->Add(xtpControlButton, 2070, _T("Zoom In"))->SetStyle(xtpButtonCaption);
    pZoom->Add(xtpControlButton, 2071, _T("Zoom Out"))->SetStyle(xtpButtonCaption);

    CXTPRibbonTab* pLayout = pRibbon->AddTab(_T("&Layout"), 4);
    pLayout->SetContext(xtpRibbonTabContextColorOrange, _T("Grid Tools"));
    pLayout->AddGroup(_T("Rows"), 40)->Add(xtpControlButton, 2072, _T("Add Row"))->SetStyle(xtpButtonCaption);
    CXTPRibbonTab* pFormat = pRibbon->AddTab(_T("&Format"), 5);
    pFormat->SetContext(xtpRibbonTabContextColorOrange, _T("Grid Tools"));
    pFormat->AddGroup(_T("Cells"), 50)->Add(xtpControlButton, 2073, _T("Borders"))->SetStyle(xtpButtonCaption);

    CXTPRibbonQuickAccessControls* pQuick = pRibbon->GetQuickAccessControls();
    pQuick->Add(xtpControlButton, ID_NEW_PUZZLE);
    pQuick->Add(xtpControlButton, ID_SAVE_PUZZLE);
    pQuick->Add(xtpControlButton, ID_UNDO_MOVE);
    pQuick->CreateOriginalControls();
    pRibbon->SetCurSel(0);
    Settle();
}

void CRibbonFrame::Settle()
{
    RecalcLayout();
    PumpAndIdle();
    CXTPRibbonBar* pRibbon = GetRibbon();
    if (pRibbon != NULL && pRibbon->GetSafeHwnd() != NULL)
        pRibbon->UpdateWindow();
}

LRESULT CRibbonFrame::OnControlNotify(WPARAM wParam, LPARAM lParam)
{
    NMXTPCONTROL* pNM = (NMXTPCONTROL*)lParam;
    if (pNM != NULL)
    {
        m_arrNotifications.push_back((int)pNM->hdr.code);
        if ((int)pNM->hdr.code == XTP_RIBBON_TCN_SELCHANGING)
            return m_lVetoTabChange;
    }
    (void)wParam;
    return 0;
}

void CRibbonFrame::OnCommandRange(UINT nID)
{
    m_arrCommands.push_back(nID);
}

void CRibbonFrame::OnMoreCommands()
{
    m_arrCommands.push_back(XTP_ID_RIBBONCUSTOMIZE_MORE);
    if (m_fnMoreCommands)
        m_fnMoreCommands();
}

void CRibbonFrame::OnUpdateCommand(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(std::find(m_arrDisabled.begin(), m_arrDisabled.end(), pCmdUI->m_nID) == m_arrDisabled.end());
}

void PumpAndIdle(int nMaxMessages)
{
    testsupport::PumpPending(nMaxMessages);
    RunIdlePass();
}

void RunIdlePass()
{
    // As the application's message loop does once its queue is empty:
    // OnIdle with a rising count until it has nothing more to do (0 updates
    // the command UI of every frame and its descendants, 1 frees
    // temporaries).
    CWinApp* pApp = AfxGetApp();
    ASSERT_TRUE(pApp != NULL) << "the ribbon tests run without an application object";
    for (LONG nCount = 0; nCount < 10 && pApp->OnIdle(nCount); nCount++)
    {
    }
}

void RealClick(CPoint ptScreen, int nClicks)
{
    static DWORD s_dwLastClick = 0;
    DWORD dwSince = ::GetTickCount() - s_dwLastClick;
    if (s_dwLastClick != 0 && dwSince <= ::GetDoubleClickTime() + 50)
        ::Sleep(::GetDoubleClickTime() + 50 - dwSince);
    ::SetCursorPos(ptScreen.x, ptScreen.y);
    PumpAndIdle();
    std::vector<INPUT> inputs;
    inputs.push_back(testsupport::MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, ptScreen));
    for (int i = 0; i < nClicks; i++)
    {
        inputs.push_back(testsupport::MouseInput(MOUSEEVENTF_LEFTDOWN));
        inputs.push_back(testsupport::MouseInput(MOUSEEVENTF_LEFTUP));
    }
    testsupport::SendInputs(inputs);
    s_dwLastClick = ::GetTickCount();
    for (int i = 0; i < 15; i++)
    {
        PumpAndIdle();
        ::Sleep(20);
    }
}

void RealRightClick(CPoint ptScreen)
{
    ::SetCursorPos(ptScreen.x, ptScreen.y);
    PumpAndIdle();
    testsupport::SendInputs({ testsupport::MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, ptScreen),
                              testsupport::MouseInput(MOUSEEVENTF_RIGHTDOWN),
                              testsupport::MouseInput(MOUSEEVENTF_RIGHTUP) });
    for (int i = 0; i < 15; i++)
    {
        PumpAndIdle();
        ::Sleep(20);
    }
}

void RealKey(WORD nVirtKey)
{
    INPUT inputs[2];
    ZeroMemory(inputs, sizeof(inputs));
    inputs[0].type = inputs[1].type = INPUT_KEYBOARD;
    inputs[0].ki.wVk = inputs[1].ki.wVk = nVirtKey;
    inputs[0].ki.wScan = inputs[1].ki.wScan = (WORD)::MapVirtualKey(nVirtKey, 0);
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, inputs, sizeof(INPUT));
    for (int i = 0; i < 10; i++)
    {
        PumpAndIdle();
        ::Sleep(20);
    }
}

CPoint ScreenCentre(CXTPControl* pControl)
{
    CPoint pt = pControl->GetRect().CenterPoint();
    if (pControl->GetParent() != NULL)
        pControl->GetParent()->ClientToScreen(&pt);
    return pt;
}

LONG LiveObjects()
{
    return CXTPControl::GetInstanceCount() + CXTPCommandBar::GetInstanceCount() +
           CXTPCommandBars::GetInstanceCount();
}

DWORD GdiMark()
{
    // The live objects themselves where they can be counted: the high-water
    // mark also moves with the order in which handle slots were freed.
    testsupport::GdiCensus census = testsupport::TakeGdiCensus();
    return census.bValid ? (DWORD)census.Total() : testsupport::GdiHighWater();
}

int WindowCount()
{
    return testsupport::CountThreadWindows();
}

bool SaveWindowPicture(HWND hWnd, const char* pszName)
{
    return !testsupport::SaveWindowSnapshot(hWnd, pszName).empty();
}

bool SaveScreenPicture(HWND hWnd, const char* pszName)
{
    CRect rc;
    ::GetWindowRect(hWnd, &rc);
    HDC hScreen = ::GetDC(NULL);
    testsupport::Canvas canvas(rc.Width(), rc.Height());
    ::BitBlt(canvas.Handle(), 0, 0, rc.Width(), rc.Height(), hScreen, rc.left, rc.top, SRCCOPY);
    ::ReleaseDC(NULL, hScreen);
    return !testsupport::SaveSnapshot(canvas, pszName).empty();
}

Ink ControlInkOnScreen(CXTPControl* pControl)
{
    CRect rc = pControl->GetRect();
    pControl->GetParent()->ClientToScreen(&rc);
    testsupport::Canvas canvas(rc.Width(), rc.Height());
    HDC hScreen = ::GetDC(NULL);
    ::BitBlt(canvas.Handle(), 0, 0, rc.Width(), rc.Height(), hScreen, rc.left, rc.top, SRCCOPY);
    ::ReleaseDC(NULL, hScreen);
    Ink ink = { 0, 0 };
    int xFirst = -1, xLast = -1;
    for (int x = 0; x < rc.Width(); x++)
        for (int y = 0; y < rc.Height(); y++)
        {
            COLORREF clr = canvas.Pixel(x, y);
            if (GetRValue(clr) * 30 + GetGValue(clr) * 59 + GetBValue(clr) * 11 >= 120 * 100)
                continue;
            ink.nPixels++;
            xFirst = xFirst < 0 ? x : xFirst;
            xLast = x;
        }
    ink.nSpan = xFirst < 0 ? 0 : xLast - xFirst + 1;
    return ink;
}

CXTPPopupBar* TopTrackedPopup()
{
    return testsupport::InnermostTrackedPopup();
}

void PressKey(CWnd* pFrame, WORD nVirtKey, BOOL bUp)
{
    INPUT input;
    ZeroMemory(&input, sizeof(input));
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = nVirtKey;
    input.ki.dwFlags = bUp ? KEYEVENTF_KEYUP : 0;
    ::SendInput(1, &input, sizeof(INPUT));
    for (int i = 0; i < 10; i++)
    {
        ::Sleep(20);
        MSG msg;
        while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
        {
            if (!pFrame->PreTranslateMessage(&msg))
            {
                ::TranslateMessage(&msg);
                ::DispatchMessage(&msg);
            }
        }
        PumpAndIdle();
    }
}

void TypeKeys(CWnd* pFrame, std::initializer_list<WORD> keys)
{
    for (WORD nKey : keys)
    {
        PressKey(pFrame, nKey, FALSE);
        PressKey(pFrame, nKey, TRUE);
    }
}

std::vector<CString> TipCaptions(CXTPCommandBars* pBars)
{
    std::vector<CString> captions;
    for (INT_PTR i = 0; i < pBars->m_arrKeyboardTips.GetSize(); i++)
        captions.push_back(((CXTPCommandBarKeyboardTip*)pBars->m_arrKeyboardTips[i])->GetCaption());
    return captions;
}

void RibbonFrameTest::SetUp()
{
    OpenFrame(CRect(20, 20, 820, 470));
}

void RibbonFrameTest::TearDown()
{
    if (m_pFrame != NULL)
        m_pFrame->DestroyRibbonFrame();
    PumpAndIdle();
    EXPECT_EQ(m_nLive, LiveObjects());
}

void RibbonFrameTest::OpenFrame(const CRect& rc)
{
    m_nLive = LiveObjects();
    m_pFrame = new CRibbonFrame();
    ASSERT_TRUE(m_pFrame->CreateRibbonFrame(rc, TRUE));
    m_pRibbon = m_pFrame->GetRibbon();
    ASSERT_TRUE(m_pRibbon != NULL);
}

void RibbonFrameTest::Resize(int cx, int cy)
{
    m_pFrame->SetWindowPos(NULL, 0, 0, cx, cy, SWP_NOMOVE | SWP_NOZORDER);
    m_pFrame->Settle();
    m_pFrame->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpAndIdle();
}

std::vector<int> RibbonFrameTest::QuickIds() const
{
    std::vector<int> ids;
    CXTPRibbonQuickAccessControls* pQuick = m_pRibbon->GetQuickAccessControls();
    for (int i = 0; i < pQuick->GetCount(); i++)
        ids.push_back(pQuick->GetAt(i)->GetID());
    return ids;
}

void RibbonSampleTest::SetUp()
{
    OpenFrame(CRect(20, 20, 840, 420));
    if (HasFatalFailure())
        return;
    m_pFrame->SetForegroundWindow();
    m_pFrame->BuildSample();
}
} // namespace ribbontest

// The program's application object and the window layer's set-up: the idle
// pass of the tests is the application's own.
CWinApp theApp(_T("RibbonTest"));
::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new testsupport::Environment);
