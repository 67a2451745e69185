// The menu bar with real keyboard and mouse input: Alt into the menu bar,
// Alt with a letter, arrows between menus, Escape, a click elsewhere; and
// the MDI parts answering a frame without MDI.
// ctest: run-serial
#include "support/commandbars_testframe.h"
#include "support/canvas.h"
#include "support/keyinput.h"

using namespace cbtest;
using testsupport::PressAltWith;
using testsupport::PressKey;
using testsupport::SendKey;

namespace
{
void Click(CPoint ptScreen)
{
    ::SetCursorPos(ptScreen.x, ptScreen.y);
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_MOUSE;
    input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ::SendInput(2, input, sizeof(INPUT));
}

// Lets the input arrive and be handled.
void Settle()
{
    for (int i = 0; i < 10; i++)
    {
        PumpAndIdle();
        ::Sleep(10);
    }
}

// A frame whose Load Puzzle command behaves like a dialog: it runs its own
// message loop for a while and notes the keys that loop gets, and whether
// the menus were still open when it started.
class CAskingFrame : public CTestFrame
{
public:
    std::vector<std::pair<UINT, WPARAM>> m_arrKeysSeen;
    int m_nRuns = 0;
    BOOL m_bMenuOpenAtRun = FALSE;

    afx_msg void OnAsk()
    {
        m_nRuns++;
        m_bMenuOpenAtRun = TopTrackedPopup() != NULL || GetMenuBar()->IsTrackingMode();
        DWORD dwEnd = ::GetTickCount() + 200;
        while ((int)(dwEnd - ::GetTickCount()) > 0)
        {
            MSG msg;
            while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
            {
                if (msg.message == WM_KEYDOWN || msg.message == WM_CHAR)
                    m_arrKeysSeen.push_back(std::make_pair(msg.message, msg.wParam));
                ::TranslateMessage(&msg);
                ::DispatchMessage(&msg);
            }
            ::Sleep(10);
        }
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CAskingFrame, CTestFrame)
    ON_COMMAND(ID_FILE_OPEN, OnAsk)
END_MESSAGE_MAP()

class MenuBarTest : public CommandBarsFrameTest
{
protected:
    void SetUp() override
    {
        CommandBarsFrameTest::SetUp();
        if (HasFatalFailure())
            return;
        m_pMenuBar = m_pFrame->GetMenuBar();
        // Alt reaches the bars only while the frame is the foreground window.
        m_pFrame->SetForegroundWindow();
        m_pFrame->SetActiveWindow();
        m_pFrame->SetFocus();
        Settle();
        ASSERT_EQ(m_pFrame->m_hWnd, ::GetForegroundWindow());
    }
    CXTPPopupBar* OpenPopup() const { return TopTrackedPopup(); }
    CXTPMenuBar* m_pMenuBar = NULL;
};
} // namespace

TEST_F(MenuBarTest, AltPressedAndReleasedEntersTheMenuBarAndEscapeLeaves)
{
    PressKey(VK_MENU);
    Settle();
    EXPECT_EQ(1, m_pMenuBar->GetTrackingMode());
    EXPECT_EQ(0, m_pMenuBar->GetSelected()) << "the first menu is selected";
    EXPECT_TRUE(m_pFrame->GetCommandBars()->IsKeyboardCuesVisible());
    PressKey(VK_ESCAPE);
    Settle();
    EXPECT_FALSE(m_pMenuBar->IsTrackingMode());
    EXPECT_EQ(-1, m_pMenuBar->GetSelected());
}

TEST_F(MenuBarTest, AltWithALetterOpensThatMenuAndArrowsMoveOn)
{
    SendKey(VK_MENU, FALSE);
    PressKey('E');
    SendKey(VK_MENU, TRUE);
    Settle();
    CXTPPopupBar* pEdit = OpenPopup();
    ASSERT_NE(nullptr, pEdit);
    EXPECT_EQ(m_pMenuBar->GetControl(1)->GetCommandBar(), pEdit);
    EXPECT_STREQ("&Edit", m_pMenuBar->GetControl(1)->GetCaption());
    EXPECT_EQ(0, pEdit->GetSelected()) << "opened from the keyboard: its first item is selected";

    PressKey(VK_RIGHT);
    Settle();
    EXPECT_EQ(m_pMenuBar->GetControl(2)->GetCommandBar(), OpenPopup()) << "Right: the View menu";
    PressKey(VK_LEFT);
    PressKey(VK_LEFT);
    Settle();
    EXPECT_EQ(m_pMenuBar->GetControl(0)->GetCommandBar(), OpenPopup()) << "Left twice: the File menu";

    // Down and Return run a command from the keyboard: past Enter Own
    // Puzzle... to Load Puzzle....
    PressKey(VK_DOWN);
    PressKey(VK_DOWN);
    PressKey(VK_RETURN);
    Settle();
    ASSERT_EQ(1u, m_pFrame->m_arrCommands.size());
    EXPECT_EQ((UINT)ID_FILE_OPEN, m_pFrame->m_arrCommands[0]);
    EXPECT_FALSE(m_pMenuBar->IsTrackingMode());
}

// "&&" is a literal '&' in a caption: the letter after the first single '&'
// runs its item; a caption with none is reached by its first letter.
TEST_F(MenuBarTest, ALetterAfterADoubledAmpersandRunsItsItem)
{
    CXTPControls* pEdit = m_pMenuBar->GetControl(1)->GetCommandBar()->GetControls();
    pEdit->Add(xtpControlButton, 2041)->SetCaption(_T("Notes && Comments"));
    pEdit->Add(xtpControlButton, 2042)->SetCaption(_T("Find && &Go"));
    for (WORD nKey : {'G', 'N'})
    {
        PressAltWith('E');
        Settle();
        ASSERT_NE(nullptr, OpenPopup());
        PressKey(nKey);
        Settle();
    }
    EXPECT_EQ((std::vector<UINT>{2042, 2041}), m_pFrame->m_arrCommands);
    EXPECT_FALSE(m_pMenuBar->IsTrackingMode());
}

class MenuBarAskingTest : public MenuBarTest
{
protected:
    CTestFrame* MakeFrame() override { return new CAskingFrame(); }
    CAskingFrame* Asking() const { return static_cast<CAskingFrame*>(m_pFrame); }
};

// A command chosen in a menu with Return, or with its letter, runs once the
// menus have closed and the key is spent: a dialog it opens does not get
// the same key (and answer itself with its default button).
TEST_F(MenuBarAskingTest, ACommandChosenWithAKeyRunsAfterTheKeyIsSpent)
{
    SendKey(VK_MENU, FALSE);
    PressKey('F');
    SendKey(VK_MENU, TRUE);
    Settle();
    ASSERT_EQ(m_pMenuBar->GetControl(0)->GetCommandBar(), OpenPopup());
    PressKey(VK_DOWN);   // Enter Own Puzzle...
    PressKey(VK_DOWN);   // Load Puzzle...
    PressKey(VK_RETURN);
    Settle();
    ASSERT_EQ(1, Asking()->m_nRuns) << "Return";
    EXPECT_FALSE(Asking()->m_bMenuOpenAtRun);
    for (const auto& key : Asking()->m_arrKeysSeen)
        EXPECT_NE((WPARAM)(key.first == WM_CHAR ? '\r' : VK_RETURN), key.second) << "the command's loop got Return";
    EXPECT_FALSE(m_pMenuBar->IsTrackingMode());
    EXPECT_EQ(NULL, OpenPopup());

    // The same command by its letter.
    Asking()->m_arrKeysSeen.clear();
    SendKey(VK_MENU, FALSE);
    PressKey('F');
    SendKey(VK_MENU, TRUE);
    Settle();
    ASSERT_EQ(m_pMenuBar->GetControl(0)->GetCommandBar(), OpenPopup());
    PressKey('L');
    Settle();
    ASSERT_EQ(2, Asking()->m_nRuns) << "L";
    EXPECT_FALSE(Asking()->m_bMenuOpenAtRun);
    for (const auto& key : Asking()->m_arrKeysSeen)
        EXPECT_NE((WPARAM)(key.first == WM_CHAR ? 'l' : 'L'), key.second) << "the command's loop got the letter";
    EXPECT_FALSE(m_pMenuBar->IsTrackingMode());

    // Chosen with the mouse the command runs as before, at once.
    CRect rcTitle = m_pMenuBar->GetControl(0)->GetRect();
    m_pMenuBar->ClientToScreen(&rcTitle);
    Click(rcTitle.CenterPoint());
    Settle();
    CXTPPopupBar* pFile = OpenPopup();
    ASSERT_NE(nullptr, pFile);
    CRect rcLoad = pFile->GetControl(2)->GetRect();   // below New and Enter Own Puzzle...
    pFile->ClientToScreen(&rcLoad);
    Click(rcLoad.CenterPoint());
    Settle();
    EXPECT_EQ(3, Asking()->m_nRuns) << "a click";
    EXPECT_EQ(NULL, OpenPopup());
}

// Right on a plain item of a submenu moves on to the next menu of the menu
// bar, as it does on a plain item of a menu; Left in the submenu only closes
// the submenu.
TEST_F(MenuBarTest, RightOnAPlainItemOfASubmenuOpensTheNextMenu)
{
    SendKey(VK_MENU, FALSE);
    PressKey('F');
    SendKey(VK_MENU, TRUE);
    Settle();
    CXTPPopupBar* pFile = OpenPopup();
    ASSERT_NE(nullptr, pFile);
    ASSERT_EQ(m_pMenuBar->GetControl(0)->GetCommandBar(), pFile);
    ASSERT_EQ(0, pFile->GetSelected());
    ASSERT_TRUE(pFile->GetControl(0)->GetCommandBar() != NULL) << "File's first item opens a submenu";

    PressKey(VK_RIGHT);
    Settle();
    CXTPPopupBar* pSub = OpenPopup();
    ASSERT_EQ(pFile->GetControl(0)->GetCommandBar(), pSub) << "Right: the submenu";
    PressKey(VK_LEFT);
    Settle();
    EXPECT_EQ(pFile, OpenPopup()) << "Left: back in the File menu";
    PressKey(VK_RIGHT);
    Settle();
    ASSERT_EQ(pSub, OpenPopup());

    PressKey(VK_RIGHT);
    Settle();
    EXPECT_EQ(m_pMenuBar->GetControl(1)->GetCommandBar(), OpenPopup()) << "Right in the submenu: the Edit menu";
    EXPECT_EQ(1, m_pMenuBar->GetSelected());
    PressKey(VK_ESCAPE);
    PressKey(VK_ESCAPE);
    Settle();
}

TEST_F(MenuBarTest, AClickElsewhereClosesTheMenu)
{
    CRect rcTitle = m_pMenuBar->GetControl(0)->GetRect();
    m_pMenuBar->ClientToScreen(&rcTitle);
    Click(rcTitle.CenterPoint());
    Settle();
    CXTPPopupBar* pFile = OpenPopup();
    ASSERT_NE(nullptr, pFile);
    EXPECT_EQ(m_pMenuBar->GetControl(0)->GetCommandBar(), pFile);
    EXPECT_EQ(2, m_pMenuBar->GetTrackingMode());

    // Moving over another title opens its menu.
    CRect rcView = m_pMenuBar->GetControl(2)->GetRect();
    m_pMenuBar->ClientToScreen(&rcView);
    ::SetCursorPos(rcView.CenterPoint().x, rcView.CenterPoint().y);
    m_pMenuBar->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(m_pMenuBar->GetControl(2)->GetRect().CenterPoint().x,
                                                        m_pMenuBar->GetControl(2)->GetRect().CenterPoint().y));
    Settle();
    EXPECT_EQ(m_pMenuBar->GetControl(2)->GetCommandBar(), OpenPopup());

    CRect rcClient;
    m_pFrame->GetClientRect(&rcClient);
    m_pFrame->ClientToScreen(&rcClient);
    Click(CPoint(rcClient.right - 20, rcClient.bottom - 20));
    Settle();
    EXPECT_EQ(NULL, OpenPopup());
    EXPECT_FALSE(m_pMenuBar->IsTrackingMode());
}

TEST_F(MenuBarTest, ShiftAltDoesNotEnterTheMenuBar)
{
    BYTE keys[256];
    ::GetKeyboardState(keys);
    keys[VK_SHIFT] = 0x80;
    ::SetKeyboardState(keys);
    WPARAM wParam = SC_KEYMENU;
    LPARAM lParam = 0;
    LRESULT lResult = 0;
    EXPECT_EQ(CXTPHookManagerHookAble::hookContinue,
              m_pMenuBar->OnHookMessage(m_pFrame->m_hWnd, WM_SYSCOMMAND, wParam, lParam, lResult));
    EXPECT_FALSE(m_pMenuBar->IsTrackingMode());
    keys[VK_SHIFT] = 0;
    ::SetKeyboardState(keys);
    EXPECT_EQ(CXTPHookManagerHookAble::hookHandled,
              m_pMenuBar->OnHookMessage(m_pFrame->m_hWnd, WM_SYSCOMMAND, wParam, lParam, lResult));
    EXPECT_EQ(1, m_pMenuBar->GetTrackingMode());
    m_pMenuBar->SetTrackingMode(FALSE);
}

TEST_F(MenuBarTest, AnSdiFrameHasNoMdiParts)
{
    CXTPCommandBars* pCommandBars = m_pFrame->GetCommandBars();
    EXPECT_EQ(0u, pCommandBars->GetActiveDocTemplate());
    EXPECT_FALSE(m_pMenuBar->IsMDIFrame());
    int nCount = m_pMenuBar->GetControlCount();
    m_pMenuBar->SetFlags(xtpFlagAddMDISysPopup);
    m_pMenuBar->UpdateMDIButtons();
    m_pMenuBar->SendMessage(WM_TIMER, XTP_TID_REFRESHMDIBUTTONS);
    EXPECT_EQ(nCount, m_pMenuBar->GetControlCount()) << "no child, no buttons";
    m_pMenuBar->SwitchMDIMenu(0);
    m_pMenuBar->SwitchMDIMenu(IDR_MAINFRAME);
    EXPECT_EQ(0, m_pMenuBar->GetMDIMenus()->GetCount());
    EXPECT_EQ((UINT)IDR_MAINFRAME, m_pMenuBar->GetCurrentMenuResource());
    EXPECT_EQ(1u, m_pMenuBar->GetBarID());
    EXPECT_FALSE(m_pMenuBar->IsChanged());
}

TEST_F(MenuBarTest, ResettingAnUnchangedMenuBarRestoresTheMenu)
{
    m_pMenuBar->GetControls()->RemoveAt(3);
    EXPECT_TRUE(m_pMenuBar->IsChanged());
    m_pMenuBar->ResetToolBar(FALSE);
    EXPECT_EQ(4, m_pMenuBar->GetControlCount());
    EXPECT_FALSE(m_pMenuBar->IsChanged());
}

namespace
{
// The menu bar's client area drawn into a bitmap, pixel by pixel.
std::vector<COLORREF> DrawnBar(CXTPCommandBar* pBar)
{
    CRect rc;
    pBar->GetClientRect(&rc);
    testsupport::Canvas canvas(rc.Width(), rc.Height());
    pBar->SendMessage(WM_PRINTCLIENT, (WPARAM)canvas.Handle(), PRF_CLIENT);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < rc.Height(); y++)
        for (int x = 0; x < rc.Width(); x++)
            pixels.push_back(canvas.Pixel(x, y));
    return pixels;
}

// Whether the bar is drawn now with its access letters underlined (1),
// without (0), or neither way (-1): its drawing is compared with drawings
// that force the underlines on and off in the same state.
int DrawnCues(CXTPCommandBar* pBar)
{
    CXTPPaintManager* pPaint = pBar->GetPaintManager();
    const int nOld = pPaint->m_bShowKeyboardCues;
    pPaint->m_bShowKeyboardCues = 1;
    std::vector<COLORREF> shown = DrawnBar(pBar);
    pPaint->m_bShowKeyboardCues = 0;
    std::vector<COLORREF> hidden = DrawnBar(pBar);
    pPaint->m_bShowKeyboardCues = nOld;
    std::vector<COLORREF> now = DrawnBar(pBar);
    return now == shown ? 1 : now == hidden ? 0 : -1;
}
} // namespace

// Keyboard cues with real Alt presses, in the classic themes and the game's, in a frame
// that never loaded stored options and in each mode stored options can set:
// "always" shows the underlines before, during and after the menu bar's
// keyboard mode; "never" shows none; following a system that hides them
// shows them only while Alt has put the keyboard into the bars.
TEST_F(MenuBarTest, KeyboardCuesFollowTheirModeWhetherOrNotOptionsWereLoaded)
{
    CXTPCommandBars* pCommandBars = m_pFrame->GetCommandBars();
    CXTPCommandBarsOptions* pOptions = pCommandBars->GetCommandBarsOptions();
    enum Mode
    {
        NotLoaded,
        Always,
        Never,
        FollowingHidden
    };
    const char* const names[] = {"not loaded", "always", "never", "following a system that hides them"};
    for (int nTheme : {0, 2, 3})
    {
        PrepareTheme(nTheme);
        pCommandBars->RedrawCommandBars();
        for (int nMode = NotLoaded; nMode <= FollowingHidden; nMode++)
        {
            SCOPED_TRACE(testing::Message() << "theme " << nTheme << ", cues " << names[nMode]);
            if (nMode == Always)
                pOptions->SetKeyboardCuesShow(0);
            else if (nMode == Never)
                pOptions->SetKeyboardCuesShow(1);
            else if (nMode == FollowingHidden)
            {
                // What a stored "as the system says" gives on a system that
                // hides cues (the system's setting is left alone here).
                pOptions->SetKeyboardCuesShow(0);
                pCommandBars->SetKeyboardCuesFollowSystem(TRUE);
                pCommandBars->SetKeyboardCuesVisible(FALSE);
            }
            const int nAtRest = (nMode == Never || nMode == FollowingHidden) ? 0 : 1;
            const int nInMenu = nMode == Never ? 0 : 1;
            Settle();
            EXPECT_EQ(nAtRest, DrawnCues(m_pMenuBar)) << "at start";

            for (int nRound = 0; nRound < 2; nRound++)
            {
                PressKey(VK_MENU);
                Settle();
                ASSERT_EQ(1, m_pMenuBar->GetTrackingMode()) << "Alt puts the keyboard into the menu bar";
                EXPECT_EQ(nInMenu, DrawnCues(m_pMenuBar)) << "in the menu bar's keyboard mode, round " << nRound;
                if (nTheme == 0 && nRound == 0)
                {
                    std::string strName = std::string("cues_in_menu_mode_") + (nMode == NotLoaded ? "not_loaded" : nMode == Always ? "always" : nMode == Never ? "never" : "following");
                    EXPECT_TRUE(SaveScreenSnapshot(m_pFrame->m_hWnd, strName.c_str()));
                }
                PressKey(VK_ESCAPE);
                Settle();
                ASSERT_FALSE(m_pMenuBar->IsTrackingMode());
                EXPECT_EQ(nAtRest, DrawnCues(m_pMenuBar)) << "after Escape, round " << nRound;
            }

            // Alt with a letter opens the menu with its letters shown.
            PressAltWith('E');
            Settle();
            ASSERT_NE(nullptr, OpenPopup());
            EXPECT_EQ(nInMenu, DrawnCues(m_pMenuBar)) << "Alt+E";
            PressKey(VK_ESCAPE);
            PressKey(VK_ESCAPE);
            Settle();
            EXPECT_EQ(nullptr, OpenPopup());
            EXPECT_EQ(nAtRest, DrawnCues(m_pMenuBar)) << "after Alt+E and Escape";
        }
        pOptions->SetKeyboardCuesShow(0);
    }
    PrepareTheme(0);
}
