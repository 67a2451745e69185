// ctest: run-serial
// A multiple-document program on the toolkit, driven by real keys and
// clicks: the class library's MDI frame with two document types (notes and
// sketches), the menu bar with its MDI buttons and per-type menus, and the
// tabbed MDI client with its tab groups.
#include "support/tabbed_mdiframe.h"
#include "support/canvas.h"
#include "support/screenreader.h"
#include "support/tooltips.h"

#include "commandbars_game_res.h"
#include "game_res.h"

#include <XTPStatusBar.h>
#include <XTPToolBar.h>
#include <XTPToolTipContext.h>

#include <gtest/gtest.h>
#include <oleacc.h>

#include <string>
#include <vector>

using namespace mditest;

namespace
{
using MDIFrameTest = TabbedMDIFrameTest;

TEST_F(MDIFrameTest, DocumentsOpenAsTabsAndTheMenuBarShowsEachTypesMenuAndTheMaximisedChildsButtons)
{
    NewNote();
    NewSketch();
    NewNote();
    CXTPTabClientWnd& client = m_pFrame->m_wndClient;
    ASSERT_EQ(1, client.GetWorkspaceCount());
    CXTPTabClientWnd::CWorkspace* pWorkspace = client.GetWorkspace(0);
    ASSERT_EQ(3, pWorkspace->GetItemCount());
    EXPECT_EQ(CString("Note1"), pWorkspace->GetItem(0)->GetCaption());
    EXPECT_EQ(CString("Sketch1"), pWorkspace->GetItem(1)->GetCaption());
    EXPECT_EQ(CString("Note2"), pWorkspace->GetItem(2)->GetCaption());
    EXPECT_EQ(CString("Note2"), ActiveTitle());
    EXPECT_EQ(pWorkspace->GetItem(2), pWorkspace->GetSelectedItem());
    EXPECT_EQ((CXTPCommandBars*)m_pFrame->GetCommandBars(), client.GetCommandBars());

    // A note's menu, then a sketch's after a click on its tab; a control
    // added to the notes' menu stays with the notes.
    EXPECT_TRUE(MenuBarHas("&Note"));
    EXPECT_FALSE(MenuBarHas("&Sketch"));
    CXTPControl* pAdded = m_pMenuBar->GetControls()->Add(xtpControlButton, ID_MDIFRAME_UPPERCASE);
    ASSERT_TRUE(pAdded != NULL);
    pAdded->SetCaption(_T("Shout"));
    m_pMenuBar->OnRecalcLayout();
    HWND hSketch = ChildOf("Sketch1");
    Click(TabPoint(hSketch));
    EXPECT_EQ(CString("Sketch1"), ActiveTitle());
    EXPECT_TRUE(MenuBarHas("&Sketch"));
    EXPECT_FALSE(MenuBarHas("&Note"));
    EXPECT_FALSE(MenuBarHas("Shout"));
    Click(TabPoint(ChildOf("Note1")));
    EXPECT_TRUE(MenuBarHas("&Note"));
    EXPECT_TRUE(MenuBarHas("Shout"));
    Click(TabPoint(hSketch));
    EXPECT_TRUE(MenuBarHas("&Sketch"));
    // The sketch's own command reaches the sketch.
    AltKey('S');
    Keys({ 'L' });
    CSketchDoc* pSketchDoc = (CSketchDoc*)m_pFrame->MDIGetActive()->GetActiveDocument();
    ASSERT_TRUE(pSketchDoc != NULL && pSketchDoc->IsKindOf(RUNTIME_CLASS(CSketchDoc)));
    EXPECT_EQ(1, pSketchDoc->m_nCleared);

    // Maximised by a double click on its caption: below the strip, and the
    // menu bar shows its icon and buttons at the ends.
    CRect rcSketch = WindowOnScreen(hSketch);
    CPoint ptCaption(rcSketch.left + 40, rcSketch.top + ::GetSystemMetrics(SM_CYFRAME) + 6);
    ::SetCursorPos(ptCaption.x, ptCaption.y);
    testsupport::SendInputs({ testsupport::MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, ptCaption),
                              testsupport::MouseInput(MOUSEEVENTF_LEFTDOWN), testsupport::MouseInput(MOUSEEVENTF_LEFTUP),
                              testsupport::MouseInput(MOUSEEVENTF_LEFTDOWN), testsupport::MouseInput(MOUSEEVENTF_LEFTUP) });
    Settle(150);
    BOOL bMaximized = FALSE;
    m_pFrame->MDIGetActive(&bMaximized);
    ASSERT_TRUE(bMaximized);
    CRect rcArea = ClientAreaOnScreen();
    CRect rcView;
    ::GetWindowRect(::GetDlgItem(hSketch, AFX_IDW_PANE_FIRST), &rcView);
    EXPECT_GE(rcView.top, rcArea.top);
    EXPECT_LE(client.GetWorkspace(0)->GetStripRect().bottom, 0);   // the strip lies above the children
    EXPECT_GT(client.GetStripHeight(), 10);
    int nCount = m_pMenuBar->GetControlCount();
    ASSERT_GE(nCount, 4);
    EXPECT_EQ(XTP_ID_MENUBAR_SYSMENU, m_pMenuBar->GetControl(0)->GetID());
    EXPECT_EQ(9153, m_pMenuBar->GetControl(nCount - 3)->GetID());
    EXPECT_EQ(9152, m_pMenuBar->GetControl(nCount - 2)->GetID());
    EXPECT_EQ(9151, m_pMenuBar->GetControl(nCount - 1)->GetID());
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(m_pFrame->m_hWnd, "mdi_maximised").empty());

    // The icon opens the child's system menu.
    Click(MenuBarPoint(XTP_ID_MENUBAR_SYSMENU));
    CXTPPopupBar* pPopup = NULL;
    const CXTPMouseManager::CTrackArray& arr = XTPMouseManager()->GetTrackArray();
    for (INT_PTR i = arr.GetSize() - 1; i >= 0 && pPopup == NULL; i--)
    {
        CXTPCommandBar* pBar = static_cast<CXTPCommandBar*>(arr[i]);
        if (pBar->IsPopupBar())
            pPopup = (CXTPPopupBar*)pBar;
    }
    ASSERT_TRUE(pPopup != NULL);
    EXPECT_TRUE(pPopup->GetControls()->FindControl(SC_CLOSE) != NULL);
    EXPECT_TRUE(pPopup->GetControls()->FindControl(SC_RESTORE) != NULL);
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(m_pFrame->m_hWnd, "mdi_system_menu").empty());
    Keys({ VK_ESCAPE, VK_ESCAPE });

    // Restore, maximise again, minimise, close: each button does its work.
    Click(MenuBarPoint(9152));
    m_pFrame->MDIGetActive(&bMaximized);
    EXPECT_FALSE(bMaximized);
    EXPECT_TRUE(m_pMenuBar->GetControls()->FindControl(9151) == NULL);
    m_pFrame->MDIMaximize(CWnd::FromHandle(hSketch));
    Settle();
    Click(MenuBarPoint(9153));
    EXPECT_TRUE(::IsIconic(hSketch));
    m_pFrame->MDIActivate(CWnd::FromHandle(hSketch));
    m_pFrame->MDIMaximize(CWnd::FromHandle(hSketch));
    Settle();
    ASSERT_TRUE(m_pMenuBar->GetControls()->FindControl(9151) != NULL);
    Click(MenuBarPoint(9151));
    EXPECT_FALSE(::IsWindow(hSketch));
    EXPECT_EQ(2, pWorkspace->GetItemCount());
    EXPECT_TRUE(client.FindItem(hSketch) == NULL);
    // A note is active again, with its menu.
    EXPECT_TRUE(MenuBarHas("&Note"));
}

TEST_F(MDIFrameTest, TheWindowMenuArrangesTheChildrenBelowTheTabsAndCarriesOutTheTabGroupCommands)
{
    NewNote();
    NewSketch();
    NewNote();
    CXTPTabClientWnd& client = m_pFrame->m_wndClient;
    HWND hNote1 = ChildOf("Note1"), hSketch1 = ChildOf("Sketch1"), hNote2 = ChildOf("Note2");
    ASSERT_TRUE(hNote1 != NULL && hSketch1 != NULL && hNote2 != NULL);

    // Window > Cascade: every child lies below the strip.
    AltKey('W');
    Keys({ 'C' });
    CRect rcArea = ClientAreaOnScreen();
    for (HWND hWnd : { hNote1, hSketch1, hNote2 })
        EXPECT_GE(WindowOnScreen(hWnd).top, rcArea.top) << (LPCTSTR)Title(hWnd);
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(m_pFrame->m_hWnd, "mdi_cascade").empty());

    // A click on a child behind the others activates it: its tab, its menu
    // and the keyboard in its view follow.
    CRect rcNote1 = WindowOnScreen(hNote1);
    Click(CPoint(rcNote1.left + 12, rcNote1.bottom - 30));
    EXPECT_EQ(CString("Note1"), ActiveTitle());
    EXPECT_EQ(client.FindItem(hNote1), client.GetWorkspace(0)->GetSelectedItem());
    EXPECT_EQ(::GetDlgItem(hNote1, AFX_IDW_PANE_FIRST), ::GetFocus());
    Click(TabPoint(hSketch1));
    EXPECT_TRUE(MenuBarHas("&Sketch"));
    EXPECT_EQ(::GetDlgItem(hSketch1, AFX_IDW_PANE_FIRST), ::GetFocus());

    // Ctrl+Tab and Ctrl+F6 step through the tabs in their order, Shift back.
    Click(TabPoint(hNote1));
    EXPECT_EQ(CString("Note1"), ActiveTitle());
    CtrlKey(VK_TAB);
    EXPECT_EQ(CString("Sketch1"), ActiveTitle());
    CtrlKey(VK_F6);
    EXPECT_EQ(CString("Note2"), ActiveTitle());
    CtrlKey(VK_TAB);
    EXPECT_EQ(CString("Note1"), ActiveTitle());
    CtrlKey(VK_TAB, TRUE);
    EXPECT_EQ(CString("Note2"), ActiveTitle());
    EXPECT_EQ(client.FindItem(hNote2), client.GetWorkspace(0)->GetSelectedItem());
    // Ctrl+Tab in a window the frame owns (a dialog's tabs) is left to it.
    CWnd owned;
    ASSERT_TRUE(owned.CreateEx(0, AfxRegisterWndClass(0), _T("owned"), WS_POPUP, CRect(0, 0, 10, 10), m_pFrame, 0));
    testsupport::SendKey(VK_CONTROL, FALSE);
    Settle(20);
    MSG msg = { owned.m_hWnd, WM_KEYDOWN, VK_TAB, 0, 0, { 0, 0 } };
    EXPECT_FALSE(m_pFrame->PreTranslateMessage(&msg));
    EXPECT_EQ(CString("Note2"), ActiveTitle());
    msg.hwnd = ::GetDlgItem(hNote2, AFX_IDW_PANE_FIRST);
    EXPECT_TRUE(m_pFrame->PreTranslateMessage(&msg));
    EXPECT_EQ(CString("Note1"), ActiveTitle());
    testsupport::SendKey(VK_CONTROL, TRUE);
    owned.DestroyWindow();
    CtrlKey(VK_TAB, TRUE);
    EXPECT_EQ(CString("Note2"), ActiveTitle());

    // A tab follows its document's title.
    CDocument* pDoc = m_pFrame->MDIGetActive()->GetActiveDocument();
    pDoc->SetTitle("Shopping");
    pDoc->UpdateFrameCounts();
    Settle();
    EXPECT_EQ(CString("Shopping"), client.FindItem(hNote2)->GetCaption());

    // The Window menu offers both new groups; "New Vertical Tab Group" moves
    // the active document into a group of its own on the right.
    AltKey('W');
    CXTPPopupBar* pPopup = NULL;
    const CXTPMouseManager::CTrackArray& arr = XTPMouseManager()->GetTrackArray();
    for (INT_PTR i = arr.GetSize() - 1; i >= 0 && pPopup == NULL; i--)
    {
        CXTPCommandBar* pBar = static_cast<CXTPCommandBar*>(arr[i]);
        if (pBar->IsPopupBar())
            pPopup = (CXTPPopupBar*)pBar;
    }
    ASSERT_TRUE(pPopup != NULL);
    CXTPControl* pHorizontal = pPopup->GetControls()->FindControl(XTP_ID_WORKSPACE_NEWHORIZONTAL);
    CXTPControl* pVertical = pPopup->GetControls()->FindControl(XTP_ID_WORKSPACE_NEWVERTICAL);
    ASSERT_TRUE(pHorizontal != NULL && pVertical != NULL);
    EXPECT_TRUE(pHorizontal->GetEnabled());
    EXPECT_TRUE(pVertical->GetEnabled());
    EXPECT_TRUE(pPopup->GetControls()->FindControl(XTP_ID_WORKSPACE_MOVEPREVIOUS) == NULL);
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(m_pFrame->m_hWnd, "mdi_window_menu").empty());
    Keys({ 'V' });
    ASSERT_EQ(2, client.GetWorkspaceCount());
    EXPECT_EQ(2, client.GetWorkspace(0)->GetItemCount());
    EXPECT_EQ(1, client.GetWorkspace(1)->GetItemCount());
    EXPECT_EQ(hNote2, (HWND)client.GetWorkspace(1)->GetItem(0)->GetData());
    EXPECT_EQ(CString("Shopping"), ActiveTitle());
    // Each group's documents fill its part below its strip, side by side.
    CRect rcLeft = WindowOnScreen((HWND)client.GetWorkspace(0)->GetSelectedItem()->GetData());
    CRect rcRight = WindowOnScreen(hNote2);
    EXPECT_LE(rcLeft.right, rcRight.left + 1);
    EXPECT_GE(rcLeft.top, ClientAreaOnScreen().top);
    EXPECT_GE(rcRight.top, ClientAreaOnScreen().top);
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(m_pFrame->m_hWnd, "mdi_two_groups").empty());

    // "Move to Previous Tab Group" takes it back; the empty group goes.
    AltKey('W');
    Keys({ 'R' });
    ASSERT_EQ(1, client.GetWorkspaceCount());
    EXPECT_EQ(3, client.GetWorkspace(0)->GetItemCount());
    EXPECT_EQ(CString("Shopping"), ActiveTitle());

    // "New Horizontal Tab Group": one group above the other.
    AltKey('W');
    Keys({ 'Z' });
    ASSERT_EQ(2, client.GetWorkspaceCount());
    EXPECT_TRUE(client.m_bHorizSplitting);
    CRect rcTop = WindowOnScreen((HWND)client.GetWorkspace(0)->GetSelectedItem()->GetData());
    CRect rcBottom = WindowOnScreen(hNote2);
    EXPECT_LE(rcTop.bottom, rcBottom.top);
    // The lower group's strip lies between the two.
    CRect rcStrip = client.GetWorkspace(1)->GetStripRect();
    client.ClientToScreen(&rcStrip);
    EXPECT_LE(rcTop.bottom, rcStrip.top + 1);
    EXPECT_LE(rcStrip.bottom, rcBottom.top + 1);
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(m_pFrame->m_hWnd, "mdi_horizontal_groups").empty());
}

TEST_F(MDIFrameTest, TabsLightUpShowTheirTitlesAndCloseTheirDocument)
{
    NewNote();
    NewSketch();
    CXTPTabClientWnd& client = m_pFrame->m_wndClient;
    HWND hNote1 = ChildOf("Note1");
    HWND hSketch1 = ChildOf("Sketch1");
    ASSERT_TRUE(hNote1 != NULL && hSketch1 != NULL);

    // Hot tracking over the other tab.
    MoveTo(TabPoint(hNote1));
    EXPECT_EQ(client.FindItem(hNote1), client.GetWorkspace(0)->GetHighlightedItem());
    // Its tooltip names the document.
    HWND hTip = NULL;
    for (int i = 0; i < 60 && hTip == NULL; i++)
    {
        Settle(25);
        for (HWND hWnd = ::FindWindowEx(NULL, NULL, TOOLTIPS_CLASS, NULL); hWnd != NULL;
             hWnd = ::FindWindowEx(NULL, hWnd, TOOLTIPS_CLASS, NULL))
        {
            if (::IsWindowVisible(hWnd) && ::GetWindowThreadProcessId(hWnd, NULL) == ::GetCurrentThreadId())
                hTip = hWnd;
        }
    }
    ASSERT_TRUE(hTip != NULL);
    char szText[80] = "";
    TOOLINFOA ti = {};
    ti.cbSize = TTTOOLINFOA_V1_SIZE;
    ti.lpszText = szText;
    ::SendMessageA(hTip, TTM_GETCURRENTTOOLA, 0, (LPARAM)&ti);
    EXPECT_STREQ("Note1", szText);
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(m_pFrame->m_hWnd, "mdi_tab_tooltip").empty());

    // The strip's close button closes the active document.
    CXTPTabManager::CNavigateButton* pClose =
        client.GetWorkspace(0)->FindNavigateButton(xtpTabNavigateButtonClose);
    ASSERT_TRUE(pClose != NULL && pClose->IsVisible());
    CPoint pt = pClose->GetRect().CenterPoint();
    client.ClientToScreen(&pt);
    Click(pt);
    Settle(100);
    EXPECT_FALSE(::IsWindow(hSketch1));
    EXPECT_EQ(1, client.GetWorkspace(0)->GetItemCount());
    EXPECT_EQ(CString("Note1"), ActiveTitle());
}

// Alt with the letter marked after a literal "&&" runs that menu-bar control.
TEST_F(MDIFrameTest, AMenuBarCaptionWithADoubledAmpersandAnswersItsMarkedLetter)
{
    NewNote();
    CXTPControl* pShout = m_pMenuBar->GetControls()->Add(xtpControlButton, ID_MDIFRAME_UPPERCASE);
    ASSERT_TRUE(pShout != NULL);
    pShout->SetCaption(_T("Shout && &Yell"));
    m_pMenuBar->OnRecalcLayout();
    AltKey('Y');
    CNoteDoc* pNote = (CNoteDoc*)m_pFrame->MDIGetActive()->GetActiveDocument();
    ASSERT_TRUE(pNote != NULL && pNote->IsKindOf(RUNTIME_CLASS(CNoteDoc)));
    EXPECT_EQ(1, pNote->m_nUpperCase);
}

TEST_F(MDIFrameTest, TheCommandBarsRefreshTheTabsAfterAnOptionChange)
{
    NewNote();
    CXTPTabClientWnd& client = m_pFrame->m_wndClient;
    HWND hNote1 = ChildOf("Note1");
    ASSERT_TRUE(hNote1 != NULL);
    // Retitled behind the client's back: the command bars' redraw brings
    // the tab in step at once.
    ::SetWindowTextA(hNote1, "Renamed");
    m_pFrame->GetCommandBars()->RedrawCommandBars();
    EXPECT_EQ(CString("Renamed"), client.FindItem(hNote1)->GetCaption());
    // The frame is laid out again: the client keeps its room.
    CRect rc;
    client.GetClientRect(&rc);
    EXPECT_GT(rc.Width(), 100);
    EXPECT_GT(rc.Height(), 100);
}
// The reader's run of this program (support/screenreader.h).
TEST(MDIFrameReader, Serve)
{
    if (!testsupport::IsReaderRun())
        GTEST_SKIP() << "run as the reader by the screen-reader tests";
    EXPECT_EQ(0, testsupport::ServeAsReader());
}

class MDIFrameToolBarTest : public MDIFrameTest
{
protected:
    // The "Standard" toolbar of icon-only buttons under the menu bar.
    CXTPToolBar* AddStandardBar()
    {
        CXTPToolBar* pBar = m_pFrame->GetCommandBars()->Add(_T("Standard"), xtpBarTop);
        EXPECT_TRUE(pBar != NULL && pBar->LoadToolBar(IDR_MAINFRAME));
        m_pFrame->RecalcLayout();
        Settle(100);
        return pBar;
    }
    // What the screen shows now.
    static void CopyScreen(testsupport::Canvas& canvas)
    {
        HDC hScreen = ::GetDC(NULL);
        ::BitBlt(canvas.Handle(), 0, 0, canvas.Width(), canvas.Height(), hScreen, 0, 0, SRCCOPY);
        ::ReleaseDC(NULL, hScreen);
        ::GdiFlush();
    }
};

// A reader in another program names every button of a toolbar, read as the
// bar's child and as its own object: the icon-only buttons and the bar's
// end button by their tooltips, as the pointer shows them.
TEST_F(MDIFrameToolBarTest, AReaderNamesEveryToolbarButtonByItsCaptionOrTooltip)
{
    NewNote();
    CXTPToolBar* pBar = AddStandardBar();
    ASSERT_TRUE(pBar != NULL);
    CXTPControl* pExpand = pBar->GetControls()->FindControl(XTP_ID_TOOLBAR_EXPAND);
    ASSERT_TRUE(pExpand != NULL && pExpand->IsVisible());
    ::CoInitialize(NULL);
    {
        testsupport::ScreenReader reader("MDIFrameReader.Serve", [] { Settle(10); });
        ASSERT_TRUE(reader.IsReady());
        for (int i = 0; i < pBar->GetControlCount(); i++)
        {
            CString strTip = pBar->GetControl(i)->GetTooltip();
            std::wstring strExpected(strTip.GetString(), strTip.GetString() + strTip.GetLength());
            SCOPED_TRACE(i);
            EXPECT_FALSE(strExpected.empty());
            EXPECT_EQ(strExpected, reader.Read(pBar->m_hWnd, OBJID_CLIENT, i + 1).strName);
            testsupport::ReaderObject own = reader.Read(pBar->m_hWnd, i + 1, CHILDID_SELF);
            EXPECT_EQ(ROLE_SYSTEM_PUSHBUTTON, own.nRole);
            EXPECT_EQ(strExpected, own.strName);
        }
    }
    ::CoUninitialize();

    // The pointer on the end button shows the same tooltip.
    CPoint pt = pExpand->GetRect().CenterPoint();
    pBar->ClientToScreen(&pt);
    HWND hTip = testsupport::HoverUntilToolTip(pt, [] { Settle(10); });
    ASSERT_TRUE(hTip != NULL) << "no tooltip over the end button";
    CXTPToolTipContextToolTip* pTip = dynamic_cast<CXTPToolTipContextToolTip*>(CWnd::FromHandlePermanent(hTip));
    ASSERT_TRUE(pTip != NULL);
    EXPECT_EQ(CString("Toolbar Options"), pTip->GetShownTool().strText);
}

// After a theme change through the command bars' calls the screen shows what
// a repaint of the frame and the floating bar from outside shows: nothing of
// the bars' area (the dock bar's empty part, the status bar, a floating
// bar) keeps the old theme.
TEST_F(MDIFrameToolBarTest, AThemeChangeThroughTheCommandBarsLeavesNoPixelOfTheOldTheme)
{
    NewNote();
    ASSERT_TRUE(AddStandardBar() != NULL);
    CXTPCommandBars* pBars = m_pFrame->GetCommandBars();
    CXTPToolBar* pFloating = pBars->Add(_T("Timer"), xtpBarFloating);
    ASSERT_TRUE(pFloating != NULL && pFloating->LoadToolBar(IDR_TIMER_TOOLBAR));
    CXTPStatusBar status;
    static const UINT indicators[] = {0, ID_INDICATOR_CAPS};
    ASSERT_TRUE(status.Create(m_pFrame) && status.SetIndicators(indicators, 2));
    m_pFrame->RecalcLayout();
    CXTPPaintManager::SetTheme(xtpThemeOffice2007);
    pBars->RedrawCommandBars();
    Settle(200);
    CXTPPaintManager::SetTheme(xtpThemeDefault);
    pBars->RedrawCommandBars();
    pBars->RecalcFrameLayout();
    Settle(200);
    const int cx = ::GetSystemMetrics(SM_CXSCREEN), cy = ::GetSystemMetrics(SM_CYSCREEN);
    testsupport::Canvas afterCalls(cx, cy), repainted(cx, cy);
    CopyScreen(afterCalls);
    for (HWND hWnd : {m_pFrame->m_hWnd, pFloating->m_hWnd})
        ::RedrawWindow(hWnd, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Settle(200);
    CopyScreen(repainted);
    int nStale = 0;
    for (int y = 0; y < cy; y++)
        for (int x = 0; x < cx; x++)
            nStale += afterCalls.Pixel(x, y) != repainted.Pixel(x, y) ? 1 : 0;
    testsupport::SaveSnapshot(afterCalls, "theme_change_after_calls");
    EXPECT_EQ(0, nStale) << "pixels that only a repaint from outside brings to the new theme";
}
} // namespace

CWinApp theApp(_T("MDIFrameTest"));
::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new testsupport::Environment);
