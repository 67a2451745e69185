// The property grid window: layout of its panes, the splitter drag, themes,
// the sort toolbar, keyboard navigation and where notifications go.
// ctest: run-serial
#include "support/propertygrid_fixture.h"
#include "support/mouseinput.h"
#include "support/snapshot.h"

namespace
{
::testing::Environment* const s_env = ::testing::AddGlobalTestEnvironment(new testsupport::Environment());

class GridTest : public testsupport::PropertyGridFixture
{
protected:
    CRect ViewRect()
    {
        CRect rc;
        View().GetWindowRect(&rc);
        m_grid.ScreenToClient(&rc);
        return rc;
    }
    CXTPPropertyGridItem* AddSomeItems()
    {
        CXTPPropertyGridItem* pCategory = m_grid.AddCategory("Category");
        CXTPPropertyGridItem* pItem = pCategory->AddChildItem(new CXTPPropertyGridItem("Name\nThe name of it", "v"));
        pCategory->AddChildItem(new CXTPPropertyGridItemNumber("Count", 3));
        pCategory->Expand();
        return pItem;
    }
    // Drags the help band from its middle to y (or presses Escape).
    void DragHelpBand(int y, bool bEscape = false)
    {
        CRect rcClient;
        m_grid.GetClientRect(&rcClient);
        CPoint ptBand(rcClient.CenterPoint().x, rcClient.bottom - m_grid.GetHelpHeight() - 2);
        ASSERT_EQ(1, m_grid.HitTest(ptBand));
        ::PostMessage(m_grid.m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(ptBand.x, y));
        if (bEscape)
            ::PostMessage(m_grid.m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0);
        else
            ::PostMessage(m_grid.m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(ptBand.x, y));
        SendMouse(m_grid.m_hWnd, WM_LBUTTONDOWN, ptBand, MK_LBUTTON);
    }
};

TEST_F(GridTest, PanesShareTheHeightWithTheView)
{
    CRect rcClient;
    m_grid.GetClientRect(&rcClient);
    EXPECT_EQ(CRect(0, 0, rcClient.right, rcClient.bottom - 58 - 3), ViewRect());

    m_grid.ShowHelp(FALSE);
    EXPECT_EQ(CRect(0, 0, rcClient.right, rcClient.bottom), ViewRect());
    EXPECT_EQ(-1, m_grid.HitTest(CPoint(20, rcClient.bottom - 58 - 2)));

    m_grid.ShowHelp(TRUE);
    m_grid.ShowToolBar(TRUE);
    ASSERT_TRUE(m_grid.IsToolBarVisible());
    EXPECT_EQ(25, ViewRect().top);

    // Help taller than the grid leaves the view empty, never upside down.
    m_grid.SetHelpHeight(rcClient.Height() + 100);
    EXPECT_EQ(0, ViewRect().Height());
}

TEST_F(GridTest, HelpBandDragIsClampedAndEscapeKeepsTheHeight)
{
    CRect rcClient;
    m_grid.GetClientRect(&rcClient);

    DragHelpBand(10);
    EXPECT_EQ(rcClient.bottom - 45 - 2, m_grid.GetHelpHeight());
    EXPECT_EQ(rcClient.bottom - (rcClient.bottom - 45 - 2) - 3, ViewRect().bottom);

    DragHelpBand(rcClient.bottom + 40);
    EXPECT_EQ(20 - 2, m_grid.GetHelpHeight());

    m_grid.SetHelpHeight(58);
    DragHelpBand(100, true);
    EXPECT_EQ(58, m_grid.GetHelpHeight());
    EXPECT_TRUE(::GetCapture() == NULL);
}

TEST_F(GridTest, ThemesReplaceThePaintManagerButKeepCustomColours)
{
    CXTPPropertyGridPaintManager* pDefault = m_grid.GetPaintManager();
    m_grid.SetTheme(9);
    EXPECT_EQ(pDefault, m_grid.GetPaintManager());
    EXPECT_EQ(9, m_grid.GetCurrentTheme());

    m_grid.SetCustomColors(RGB(1, 1, 1), RGB(2, 2, 2), RGB(3, 3, 3), RGB(4, 4, 4), RGB(5, 5, 5), RGB(6, 6, 6));
    CFont* pFont = m_grid.GetPaintManager()->GetNormalFont();
    m_grid.SetTheme(xtpGridThemeOffice2003);
    CXTPPropertyGridPaintManager* pTheme = m_grid.GetPaintManager();
    EXPECT_TRUE(dynamic_cast<CXTPPropertyGridOffice2003Theme*>(pTheme) != NULL);
    EXPECT_EQ(pFont, pTheme->GetNormalFont());
    CXTPPropertyGridItemMetrics* pMetrics = pTheme->GetItemMetrics();
    EXPECT_EQ(RGB(1, 1, 1), (COLORREF)pMetrics->m_clrHelpBack);
    EXPECT_EQ(RGB(2, 2, 2), (COLORREF)pMetrics->m_clrHelpFore);
    EXPECT_EQ(RGB(3, 3, 3), (COLORREF)pMetrics->m_clrLine);
    EXPECT_EQ(RGB(4, 4, 4), (COLORREF)pMetrics->m_clrBack);
    EXPECT_EQ(RGB(5, 5, 5), (COLORREF)pMetrics->m_clrFore);
    EXPECT_EQ(RGB(6, 6, 6), (COLORREF)pMetrics->m_clrCategoryFore);

    // RefreshMetrics drops them again.
    m_grid.RefreshMetrics();
    EXPECT_EQ(GetXTPSysColor(COLOR_WINDOW), (COLORREF)pMetrics->m_clrBack);

    const int nThemes[] = {0, 1, 3, 4, 5, 6, 7};
    for (int nTheme : nThemes)
    {
        m_grid.SetTheme(nTheme);
        EXPECT_EQ(nTheme, m_grid.GetCurrentTheme());
    }
    EXPECT_TRUE(dynamic_cast<CXTPPropertyGridOfficeXP*>(m_grid.GetPaintManager()) != NULL);
}

TEST_F(GridTest, SortToolbarSwitchesModesAndShowsTheCurrentOne)
{
    AddSomeItems();
    m_grid.ShowToolBar(TRUE);
    CToolBarCtrl& bar = m_grid.GetToolBar().GetToolBarCtrl();
    EXPECT_TRUE(bar.IsButtonChecked(XTP_IDC_SORT_CATEGORIZED));
    EXPECT_FALSE(bar.IsButtonChecked(XTP_IDC_SORT_ALPHABETIC));

    m_grid.SendMessage(WM_COMMAND, XTP_IDC_SORT_ALPHABETIC, (LPARAM)bar.m_hWnd);
    EXPECT_EQ(xtpGridSortAlphabetical, View().GetSortMode());
    EXPECT_FALSE(bar.IsButtonChecked(XTP_IDC_SORT_CATEGORIZED));
    EXPECT_TRUE(bar.IsButtonChecked(XTP_IDC_SORT_ALPHABETIC));
    ASSERT_EQ(1u, CountNotes(XTP_PGN_SORTORDER_CHANGED));
    EXPECT_EQ(1000, m_host.Notes(XTP_PGN_SORTORDER_CHANGED)[0]);

    m_grid.SendMessage(WM_COMMAND, XTP_IDC_SORT_CATEGORIZED, (LPARAM)bar.m_hWnd);
    EXPECT_EQ(xtpGridSortCategorized, View().GetSortMode());
    EXPECT_TRUE(bar.IsButtonChecked(XTP_IDC_SORT_CATEGORIZED));
}

TEST_F(GridTest, NotificationsGoToTheOwnerElseTheParent)
{
    CXTPPropertyGridItem* pItem = AddSomeItems();
    pItem->Select();
    ASSERT_EQ(1u, CountNotes(XTP_PGN_SELECTION_CHANGED));

    testsupport::NotifyHost owner;
    ASSERT_TRUE(owner.CreateHost(400, 40, 100, 100, "owner"));
    m_grid.SetOwner(&owner);
    pItem->GetParentItem()->Select();
    EXPECT_EQ(1u, CountNotes(XTP_PGN_SELECTION_CHANGED));
    EXPECT_EQ(1u, owner.Notes(XTP_PGN_SELECTION_CHANGED).size());
    m_grid.SetOwner(NULL);
    owner.DestroyWindow();
}

TEST_F(GridTest, ShiftTabFromTheViewReachesThePreviousControl)
{
    CEdit before, after;
    ASSERT_TRUE(before.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER, CRect(10, 365, 100, 385), &m_host, 1));
    ASSERT_TRUE(after.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER, CRect(110, 365, 200, 385), &m_host, 2));
    before.SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    after.SetWindowPos(&CWnd::wndBottom, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    AddSomeItems()->Select();
    View().SetFocus();

    testsupport::SetKeyDown(VK_SHIFT, true);
    SendChar(View().m_hWnd, VK_TAB);
    testsupport::SetKeyDown(VK_SHIFT, false);
    EXPECT_EQ(before.m_hWnd, ::GetFocus());

    // Tab from the view goes to the selected item's editor first.
    View().SetFocus();
    SendChar(View().m_hWnd, VK_TAB);
    EXPECT_EQ(m_grid.GetInplaceEdit().m_hWnd, ::GetFocus());
}

TEST_F(GridTest, HelpPaneShowsTheSelectedItemAndVerbsReportClicks)
{
    CXTPPropertyGridItem* pItem = AddSomeItems();
    pItem->Select();
    CXTPPropertyGridVerb* pVerb = m_grid.GetVerbs()->Add("Reset all values", 55);
    m_grid.GetVerbs()->Add("Help", 56);
    ASSERT_TRUE(m_grid.IsVerbsVisible());
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(m_host.m_hWnd, "grid_help_and_verbs").empty());

    CPoint ptVerb = pVerb->GetPart().CenterPoint();
    ASSERT_EQ(3, m_grid.HitTest(ptVerb));
    SendMouse(m_grid.m_hWnd, WM_LBUTTONDOWN, ptVerb, MK_LBUTTON);
    SendMouse(m_grid.m_hWnd, WM_LBUTTONUP, ptVerb);
    ASSERT_EQ(1u, CountNotes(XTP_PGN_VERB_CLICK));
    EXPECT_EQ((LPARAM)pVerb, m_host.Notes(XTP_PGN_VERB_CLICK)[0]);
    CPoint ptScreen = ptVerb;
    m_grid.ClientToScreen(&ptScreen);
    EXPECT_EQ(ptScreen, pVerb->GetClickPoint());

    // Right moves the focus on to the next verb, Enter clicks it.
    SendKey(m_grid.m_hWnd, VK_RIGHT);
    EXPECT_EQ(1, m_grid.GetFocusedVerb());
    SendKey(m_grid.m_hWnd, VK_RETURN);
    ASSERT_EQ(2u, CountNotes(XTP_PGN_VERB_CLICK));
    EXPECT_EQ(56u, ((CXTPPropertyGridVerb*)m_host.Notes(XTP_PGN_VERB_CLICK)[1])->GetID());

    m_grid.GetVerbs()->RemoveAll();
    EXPECT_FALSE(m_grid.IsVerbsVisible());
}

// A frame with no command handlers of its own holding a grid with its sort
// toolbar: the idle update of the frame's windows reaches the toolbar.
class CGridFrame : public CFrameWnd
{
};

TEST(GridInFrameTest, TheSortButtonsStayEnabledThroughTheFramesIdleUpdateAndAClickSorts)
{
    CGridFrame* pFrame = new CGridFrame;
    ASSERT_TRUE(pFrame->Create(NULL, "Grid", WS_OVERLAPPEDWINDOW, CRect(60, 60, 420, 460)));
    CXTPPropertyGrid grid;
    ASSERT_TRUE(grid.Create(CRect(10, 10, 330, 340), pFrame, 1000));
    CXTPPropertyGridItem* pCategory = grid.AddCategory("Category");
    pCategory->AddChildItem(new CXTPPropertyGridItem("Name", "v"));
    pCategory->Expand();
    grid.ShowToolBar(TRUE);
    pFrame->ShowWindow(SW_SHOWNORMAL);
    pFrame->SetForegroundWindow();
    pFrame->UpdateWindow();

    // One idle pass, as the program's loop makes it.
    pFrame->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    pFrame->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
    CToolBarCtrl& bar = grid.GetToolBar().GetToolBarCtrl();
    EXPECT_TRUE(bar.IsButtonEnabled(XTP_IDC_SORT_CATEGORIZED));
    EXPECT_TRUE(bar.IsButtonEnabled(XTP_IDC_SORT_ALPHABETIC));
    EXPECT_TRUE(bar.IsButtonChecked(XTP_IDC_SORT_CATEGORIZED)) << "the idle update keeps the grid's check";

    CRect rcButton;
    ASSERT_TRUE(bar.GetRect(XTP_IDC_SORT_ALPHABETIC, &rcButton));
    bar.ClientToScreen(&rcButton);
    using testsupport::MouseInput;
    const DWORD dwAt = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    const CPoint pt = rcButton.CenterPoint();
    testsupport::SendInputs({MouseInput(dwAt, pt), MouseInput(dwAt | MOUSEEVENTF_LEFTDOWN, pt),
                             MouseInput(dwAt | MOUSEEVENTF_LEFTUP, pt)});
    for (int i = 0; i < 50 && grid.GetGridView().GetSortMode() != xtpGridSortAlphabetical; i++)
    {
        testsupport::PumpPending();
        ::Sleep(10);
    }
    EXPECT_EQ(xtpGridSortAlphabetical, grid.GetGridView().GetSortMode()) << "a real click on Alphabetical sorts";
    EXPECT_TRUE(bar.IsButtonChecked(XTP_IDC_SORT_ALPHABETIC));
    pFrame->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
    EXPECT_TRUE(bar.IsButtonChecked(XTP_IDC_SORT_ALPHABETIC));
    EXPECT_TRUE(bar.IsButtonEnabled(XTP_IDC_SORT_CATEGORIZED));

    grid.DestroyWindow();
    pFrame->DestroyWindow();
    testsupport::PumpPending();
}
} // namespace
