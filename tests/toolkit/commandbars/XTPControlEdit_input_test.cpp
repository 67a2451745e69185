// Edit and combo boxes on bars worked with the real keyboard and mouse: the
// keyboard goes back to the window that had it after Escape and Enter, Paste
// from the box's context menu or with Ctrl+V inserts at the caret, and an edit box in a menu
// keeps the frame's caption active and the menu in front.
// ctest: run-serial
#include "support/commandbars_testframe.h"
#include "support/keyinput.h"
#include "support/canvas.h"
#include "support/mouseinput.h"

#include "XTPControlComboBox.h"
#include "XTPControlEdit.h"

#include <algorithm>

using namespace cbtest;
using testsupport::PressKey;
using testsupport::SendKey;

namespace
{
const int ID_FIND_BOX = 2090;
const int ID_FIND_COMBO = 2091;
const int ID_NAME_BOX = 2092;

// Lets the input arrive and be handled, with the idle passes between.
void Settle(int nRounds = 10)
{
    for (int i = 0; i < nRounds; i++)
    {
        PumpAndIdle();
        ::Sleep(10);
    }
}

void ClickAt(CPoint ptScreen, DWORD dwDown = MOUSEEVENTF_LEFTDOWN, DWORD dwUp = MOUSEEVENTF_LEFTUP)
{
    using testsupport::MouseInput;
    const DWORD dwAt = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    testsupport::SendInputs({MouseInput(dwAt, ptScreen), MouseInput(dwAt | dwDown, ptScreen),
                             MouseInput(dwAt | dwUp, ptScreen)});
    Settle();
}

// Types lower-case letters and digits.
void Type(const char* psz)
{
    for (; *psz != 0; psz++)
        PressKey((WORD)::toupper((unsigned char)*psz));
    Settle();
}

void Press(WORD vk)
{
    PressKey(vk);
    Settle();
}

CString TextOf(HWND hWnd)
{
    char sz[256] = {};
    ::GetWindowTextA(hWnd, sz, 255);
    return sz;
}

CPoint CentreOf(HWND hWnd)
{
    CRect rc;
    ::GetWindowRect(hWnd, &rc);
    return rc.CenterPoint();
}

// Whether the frame's caption is drawn active: the caption's colour is read
// from the screen in the middle of the title bar, above the title text, and
// compared with the active and the inactive caption colours.
bool CaptionLooksActive(HWND hWndFrame)
{
    CRect rc;
    ::GetWindowRect(hWndFrame, &rc);
    int y = rc.top + ::GetSystemMetrics(SM_CYFRAME) + 2;
    int x = rc.left + rc.Width() / 2;
    HDC hScreen = ::GetDC(NULL);
    COLORREF clr = ::GetPixel(hScreen, x, y);
    ::ReleaseDC(NULL, hScreen);
    auto distance = [clr](COLORREF a, COLORREF b) {
        // The nearer of the two ends of the caption's gradient.
        auto d = [clr](COLORREF c) {
            return abs(GetRValue(c) - GetRValue(clr)) + abs(GetGValue(c) - GetGValue(clr)) +
                   abs(GetBValue(c) - GetBValue(clr));
        };
        return std::min(d(a), d(b));
    };
    int nActive = distance(::GetSysColor(COLOR_ACTIVECAPTION), ::GetSysColor(COLOR_GRADIENTACTIVECAPTION));
    int nInactive = distance(::GetSysColor(COLOR_INACTIVECAPTION), ::GetSysColor(COLOR_GRADIENTINACTIVECAPTION));
    return nActive < nInactive;
}

// Clicks Paste in the context menu once the menu shows.
bool s_bPasteFound = false;
bool s_bPasteEnabled = false;
void CALLBACK ClickPasteWhenShown(HWND, UINT, UINT_PTR nID, DWORD)
{
    CXTPPopupBar* pMenu = TopTrackedPopup();
    if (pMenu == NULL || pMenu->GetSafeHwnd() == NULL || !pMenu->IsWindowVisible())
        return;
    ::KillTimer(NULL, nID);
    CXTPControl* pPaste = pMenu->GetControls()->FindControl(ID_EDIT_PASTE);
    if (pPaste == NULL)
        return;
    s_bPasteFound = true;
    s_bPasteEnabled = pPaste->GetEnabled() != FALSE;
    CRect rc = pPaste->GetRect();
    pMenu->ClientToScreen(&rc);
    using testsupport::MouseInput;
    const DWORD dwAt = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    testsupport::SendInputs({MouseInput(dwAt, rc.CenterPoint()), MouseInput(dwAt | MOUSEEVENTF_LEFTDOWN, rc.CenterPoint()),
                             MouseInput(dwAt | MOUSEEVENTF_LEFTUP, rc.CenterPoint())});
}
void CALLBACK CloseMenusAfterAWhile(HWND, UINT, UINT_PTR nID, DWORD)
{
    ::KillTimer(NULL, nID);
    XTPMouseManager()->CloseAllTracked();
}

// The frame with a plain edit window as its document (the window that has
// the keyboard before a bar is clicked) and a "Find" toolbar with an edit
// box and an editable combo box, each with the hint "Find".
class BarEditInputTest : public CommandBarsFrameTest
{
protected:
    void SetUp() override
    {
        CommandBarsFrameTest::SetUp();
        if (HasFatalFailure())
            return;
        ASSERT_TRUE(m_document.CreateEx(WS_EX_CLIENTEDGE, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL,
                                        CRect(0, 0, 10, 10), m_pFrame, AFX_IDW_PANE_FIRST));
        m_pFind = m_pCommandBars->Add(_T("Find"), xtpBarTop);
        ASSERT_TRUE(m_pFind != NULL);
        m_pEdit = (CXTPControlEdit*)m_pFind->GetControls()->Add(xtpControlEdit, ID_FIND_BOX);
        m_pEdit->SetWidth(120);
        m_pEdit->SetEditHint("Find");
        m_pCombo = (CXTPControlComboBox*)m_pFind->GetControls()->Add(xtpControlComboBox, ID_FIND_COMBO);
        m_pCombo->SetDropDown(TRUE);
        m_pCombo->SetWidth(120);
        m_pCombo->SetEditHint("Find");
        m_pCombo->AddString("apple");
        m_pCombo->AddString("banana");
        m_pFrame->RecalcLayout();
        Settle();
        ASSERT_TRUE(m_pEdit->HasWindow());
        ASSERT_TRUE(m_pCombo->HasWindow());

        m_pFrame->SetForegroundWindow();
        m_document.SetFocus();
        Settle();
        ASSERT_EQ(m_pFrame->m_hWnd, ::GetForegroundWindow());
        ASSERT_EQ(m_document.m_hWnd, ::GetFocus());
    }
    void TearDown() override
    {
        if (m_document.GetSafeHwnd() != NULL)
            m_document.DestroyWindow();
        CommandBarsFrameTest::TearDown();
    }
    HWND EditBox() const { return m_pEdit->GetEditCtrl()->GetSafeHwnd(); }
    HWND ComboBox() const { return m_pCombo->GetEditCtrl()->GetSafeHwnd(); }
    size_t CountCommands(UINT nID) const
    {
        return (size_t)std::count(m_pFrame->m_arrCommands.begin(), m_pFrame->m_arrCommands.end(), nID);
    }

    CWnd m_document;
    CXTPToolBar* m_pFind = NULL;
    CXTPControlEdit* m_pEdit = NULL;
    CXTPControlComboBox* m_pCombo = NULL;
};
} // namespace

TEST_F(BarEditInputTest, EscapeGivesTheKeyboardBackAndTheNextClickStartsWithoutTheHint)
{
    ClickAt(CentreOf(EditBox()));
    ASSERT_EQ(EditBox(), ::GetFocus());
    EXPECT_TRUE(m_pEdit->IsFocused());
    EXPECT_STREQ("", TextOf(EditBox())) << "the hint leaves the box that has the keyboard";
    Type("abc");
    EXPECT_STREQ("abc", TextOf(EditBox()));

    Press(VK_ESCAPE);
    EXPECT_FALSE(m_pEdit->IsFocused());
    EXPECT_EQ(m_document.m_hWnd, ::GetFocus()) << "the keyboard goes back to the document";
    EXPECT_STREQ("Find", TextOf(EditBox())) << "the text it had at the click, the hint";
    EXPECT_STREQ("", m_pEdit->GetEditText());
    Type("q");
    EXPECT_STREQ("q", TextOf(m_document.m_hWnd)) << "typing after Escape reaches the document";
    EXPECT_STREQ("Find", TextOf(EditBox()));

    ClickAt(CentreOf(EditBox()));
    ASSERT_EQ(EditBox(), ::GetFocus());
    Type("xyz");
    EXPECT_STREQ("xyz", m_pEdit->GetEditText());
    Press(VK_ESCAPE);
    EXPECT_EQ(m_document.m_hWnd, ::GetFocus());
}

TEST_F(BarEditInputTest, EnterRunsTheCommandOnceAndGivesTheKeyboardBack)
{
    ClickAt(CentreOf(EditBox()));
    ASSERT_EQ(EditBox(), ::GetFocus());
    Type("xyz");
    Press(VK_RETURN);
    EXPECT_EQ(1u, CountCommands(ID_FIND_BOX));
    EXPECT_STREQ("xyz", m_pEdit->GetEditText()) << "the user's text, not the hint's";
    EXPECT_EQ(m_document.m_hWnd, ::GetFocus());
    EXPECT_FALSE(m_pEdit->IsFocused());

    Press(VK_RETURN);
    EXPECT_EQ(1u, CountCommands(ID_FIND_BOX)) << "the second Enter belongs to the document";
    Type("w");
    EXPECT_STREQ("w", TextOf(m_document.m_hWnd));
}

TEST_F(BarEditInputTest, TheComboBoxGivesTheKeyboardBackAfterEscapeAndEnter)
{
    ClickAt(CentreOf(ComboBox()));
    ASSERT_EQ(ComboBox(), ::GetFocus());
    Type("abc");
    Press(VK_ESCAPE);
    EXPECT_EQ(m_document.m_hWnd, ::GetFocus());
    EXPECT_FALSE(m_pCombo->IsFocused());
    EXPECT_STREQ("Find", TextOf(ComboBox()));

    ClickAt(CentreOf(ComboBox()));
    ASSERT_EQ(ComboBox(), ::GetFocus());
    Type("xyz");
    EXPECT_STREQ("xyz", m_pCombo->GetEditText());
    Press(VK_RETURN);
    EXPECT_EQ(1u, CountCommands(ID_FIND_COMBO));
    EXPECT_EQ(m_document.m_hWnd, ::GetFocus());
    EXPECT_STREQ("xyz", m_pCombo->GetEditText());
}

TEST_F(BarEditInputTest, PasteFromTheContextMenuInsertsAtTheCaret)
{
    ClickAt(CentreOf(EditBox()));
    ASSERT_EQ(EditBox(), ::GetFocus());
    Type("abcdef");
    Press(VK_LEFT);
    Press(VK_LEFT);

    ASSERT_TRUE(::OpenClipboard(m_pFrame->m_hWnd));
    ::EmptyClipboard();
    HGLOBAL hText = ::GlobalAlloc(GMEM_MOVEABLE, 3);
    memcpy(::GlobalLock(hText), "ZZ", 3);
    ::GlobalUnlock(hText);
    ::SetClipboardData(CF_TEXT, hText);
    ::CloseClipboard();

    // The menu runs its own loop inside the right click: a timer clicks Paste
    // once it shows (and closes it after a while, should it never show).
    s_bPasteFound = s_bPasteEnabled = false;
    UINT_PTR nClick = ::SetTimer(NULL, 0, 50, &ClickPasteWhenShown);
    UINT_PTR nGiveUp = ::SetTimer(NULL, 0, 5000, &CloseMenusAfterAWhile);
    ClickAt(CentreOf(EditBox()), MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
    ::KillTimer(NULL, nClick);
    ::KillTimer(NULL, nGiveUp);
    ASSERT_TRUE(s_bPasteFound) << "the box's context menu with Paste";
    EXPECT_TRUE(s_bPasteEnabled);
    EXPECT_TRUE(TopTrackedPopup() == NULL);
    EXPECT_STREQ("abcdZZef", TextOf(EditBox()));
    EXPECT_EQ(EditBox(), ::GetFocus()) << "the box keeps the keyboard";
    Type("y");
    EXPECT_STREQ("abcdZZyef", TextOf(EditBox())) << "the caret stays after the pasted text";

    // Ctrl+V pastes at the caret too.
    Press(VK_HOME);
    SendKey(VK_CONTROL, FALSE);
    PressKey('V');
    SendKey(VK_CONTROL, TRUE);
    Settle();
    EXPECT_STREQ("ZZabcdZZyef", TextOf(EditBox()));
    Press(VK_ESCAPE);
}

namespace
{
// The frame with a "&Name" edit box at the end of its Edit menu.
class MenuEditInputTest : public BarEditInputTest
{
protected:
    void SetUp() override
    {
        BarEditInputTest::SetUp();
        if (HasFatalFailure())
            return;
        CXTPControlPopup* pEditMenu = FindPopup(m_pFrame->GetMenuBar(), "&Edit");
        ASSERT_TRUE(pEditMenu != NULL && pEditMenu->GetCommandBar() != NULL);
        m_pName = (CXTPControlEdit*)pEditMenu->GetCommandBar()->GetControls()->Add(xtpControlEdit, ID_NAME_BOX);
        m_pName->SetCaption("&Name");
        m_pName->SetBeginGroup(TRUE);
    }
    // Whether the screen shows the bar: what it draws (its client area, with
    // its child windows left out) against what the screen has there.
    static bool ShownOnScreen(CXTPCommandBar* pBar)
    {
        CRect rc;
        pBar->GetClientRect(&rc);
        testsupport::Canvas drawn(rc.Width(), rc.Height());
        pBar->SendMessage(WM_PRINTCLIENT, (WPARAM)drawn.DC()->GetSafeHdc(), PRF_CLIENT);
        testsupport::Canvas screen(rc.Width(), rc.Height());
        pBar->ClientToScreen(&rc);
        HDC hScreen = ::GetDC(NULL);
        ::BitBlt(screen.DC()->GetSafeHdc(), 0, 0, rc.Width(), rc.Height(), hScreen, rc.left, rc.top, SRCCOPY);
        ::ReleaseDC(NULL, hScreen);
        int nSame = 0;
        for (int y = 0; y < rc.Height(); y++)
            for (int x = 0; x < rc.Width(); x++)
                nSame += drawn.Pixel(x, y) == screen.Pixel(x, y) ? 1 : 0;
        return nSame * 10 >= rc.Width() * rc.Height() * 7;
    }
    CXTPControlEdit* m_pName = NULL;
};
} // namespace

TEST_F(MenuEditInputTest, TypingInAMenusEditBoxKeepsTheCaptionActiveAndTheMenuInFront)
{
    ASSERT_TRUE(CaptionLooksActive(m_pFrame->m_hWnd));
    testsupport::PressAltWith('E');
    Settle();
    CXTPPopupBar* pMenu = TopTrackedPopup();
    ASSERT_TRUE(pMenu != NULL);
    Press('N');
    ASSERT_TRUE(m_pName->HasWindow());
    HWND hName = m_pName->GetEditCtrl()->GetSafeHwnd();
    ASSERT_EQ(hName, ::GetFocus()) << "N takes the keyboard into the box";
    Type("abc");
    EXPECT_STREQ("abc", TextOf(hName));
    SaveScreenSnapshot(m_pFrame->m_hWnd, "menu_edit_typing");
    EXPECT_TRUE(CaptionLooksActive(m_pFrame->m_hWnd)) << "the frame's caption stays active while typing";
    EXPECT_TRUE(ShownOnScreen(pMenu)) << "the menu stays in front";

    // Escape leaves the box; the menu it is in stays open, is seen, and
    // takes the keys.
    Press(VK_ESCAPE);
    SaveScreenSnapshot(m_pFrame->m_hWnd, "menu_edit_after_escape");
    EXPECT_NE(hName, ::GetFocus());
    EXPECT_FALSE(m_pName->IsFocused());
    EXPECT_STREQ("", m_pName->GetEditText()) << "the text the box had when it got the keyboard";
    EXPECT_TRUE(CaptionLooksActive(m_pFrame->m_hWnd));
    ASSERT_EQ(pMenu, TopTrackedPopup());
    EXPECT_TRUE(ShownOnScreen(pMenu)) << "the menu still open is in front of the frame";
    Press(VK_UP);
    EXPECT_EQ(m_pName->GetIndex() - 1, pMenu->GetSelectedControl() != NULL ? pMenu->GetSelectedControl()->GetIndex() : -1)
        << "Up moves in the menu";
    Press(VK_ESCAPE);
    EXPECT_TRUE(TopTrackedPopup() == NULL) << "no menu is left open";
    Press(VK_ESCAPE);
    EXPECT_FALSE(m_pFrame->GetMenuBar()->IsTrackingMode());
    Type("k");
    EXPECT_STREQ("k", TextOf(m_document.m_hWnd)) << "the keys reach the document again";
}

TEST_F(MenuEditInputTest, EnterInAMenusEditBoxRunsItsCommandAndTheDocumentHasTheKeyboardAgain)
{
    testsupport::PressAltWith('E');
    Settle();
    ASSERT_TRUE(TopTrackedPopup() != NULL);
    Press('N');
    ASSERT_EQ(m_pName->GetEditCtrl()->GetSafeHwnd(), ::GetFocus());
    Type("abc");
    Press(VK_ESCAPE);
    ASSERT_TRUE(TopTrackedPopup() != NULL);
    EXPECT_EQ(m_pName, TopTrackedPopup()->GetSelectedControl()) << "the box stays the menu's selected item";
    Press(VK_RETURN);
    ASSERT_EQ(m_pName->GetEditCtrl()->GetSafeHwnd(), ::GetFocus()) << "Enter on the box takes the keyboard into it";
    Type("xy");
    Press(VK_RETURN);
    EXPECT_EQ(1u, CountCommands(ID_NAME_BOX));
    EXPECT_STREQ("xy", m_pName->GetEditText());
    EXPECT_TRUE(TopTrackedPopup() == NULL);
    while (m_pFrame->GetMenuBar()->IsTrackingMode())
        Press(VK_ESCAPE);
    EXPECT_EQ(m_document.m_hWnd, ::GetFocus());
    Type("k");
    EXPECT_STREQ("k", TextOf(m_document.m_hWnd));
}
