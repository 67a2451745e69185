// The property grid's view: sort modes, divider, keyboard, tooltip and scrolling.
// ctest: run-serial
#include "support/fakebar.h"
#include "support/mouseinput.h"
#include "support/propertygrid_fixture.h"
#include "support/pump.h"

namespace
{
::testing::Environment* const s_env = ::testing::AddGlobalTestEnvironment(new testsupport::Environment());

class ViewTest : public testsupport::PropertyGridFixture
{
protected:
    // Two categories whose children interleave by caption.
    void AddTwoCategories()
    {
        m_pFirst = m_grid.AddCategory("Zoo");
        m_pFirst->AddChildItem(new CXTPPropertyGridItem("Zeta", "1"));
        m_pFirst->AddChildItem(new CXTPPropertyGridItem("Alpha", "2"));
        m_pFirst->Expand();
        m_pSecond = m_grid.AddCategory("Apes");
        m_pSecond->AddChildItem(new CXTPPropertyGridItem("Mid", "3"));
        m_pSecond->AddChildItem(new CXTPPropertyGridItem("Beta", "4"));
        m_pSecond->Expand();
    }
    std::vector<CString> RowCaptions()
    {
        std::vector<CString> captions;
        for (int i = 0; i < View().GetCount(); i++)
            captions.push_back(View().GetItem(i)->GetCaption());
        return captions;
    }

    CXTPPropertyGridItem* m_pFirst = NULL;
    CXTPPropertyGridItem* m_pSecond = NULL;
};

TEST_F(ViewTest, AlphabeticalModeInterleavesChildrenAndHidesCategories)
{
    AddTwoCategories();
    std::vector<CString> categorized = {"Zoo", "Zeta", "Alpha", "Apes", "Mid", "Beta"};
    EXPECT_EQ(categorized, RowCaptions());

    View().SetSortMode(xtpGridSortAlphabetical);
    std::vector<CString> sorted = {"Alpha", "Beta", "Mid", "Zeta"};
    EXPECT_EQ(sorted, RowCaptions());
    EXPECT_FALSE(m_pFirst->IsVisible());
    ASSERT_EQ(1u, CountNotes(XTP_PGN_SORTORDER_CHANGED));
    EXPECT_EQ(1000, m_host.Notes(XTP_PGN_SORTORDER_CHANGED)[0]);

    View().SetSortMode(xtpGridSortNoSort);
    std::vector<CString> unsorted = {"Zeta", "Alpha", "Mid", "Beta"};
    EXPECT_EQ(unsorted, RowCaptions());

    // Adding a category switches back to categories and says so.
    ClearNotes();
    m_grid.AddCategory("Third");
    EXPECT_EQ(xtpGridSortCategorized, View().GetSortMode());
    EXPECT_EQ(1u, CountNotes(XTP_PGN_SORTORDER_CHANGED));
    EXPECT_EQ(7, View().GetCount());
}

TEST_F(ViewTest, SortModeKeepsTheSelection)
{
    AddTwoCategories();
    CXTPPropertyGridItem* pMid = m_pSecond->GetChilds()->GetAt(0);
    pMid->Select();
    View().SetSortMode(xtpGridSortAlphabetical);
    EXPECT_EQ(pMid, m_grid.GetSelectedItem());
    EXPECT_EQ(2, pMid->GetIndex());
    EXPECT_TRUE(IsEditShown());
    EXPECT_EQ(pMid, m_grid.GetInplaceEdit().GetItem());
}

TEST_F(ViewTest, DividerStaysBetweenTenAndEightyFivePercent)
{
    AddTwoCategories();
    CRect rcClient;
    View().GetClientRect(&rcClient);
    int nWidth = rcClient.Width();
    EXPECT_EQ((nWidth + 1) / 2, View().GetDividerPos());

    View().SetDividerPos(2);
    EXPECT_EQ((int)(nWidth * 0.1 + 0.5), View().GetDividerPos());
    View().SetDividerPos(nWidth + 50);
    EXPECT_EQ((int)(nWidth * 0.85 + 0.5), View().GetDividerPos());

    // Dragging: a press in the divider zone, moves, release.
    View().SetDividerPos(nWidth / 2);
    int nDivider = View().GetDividerPos();
    CPoint ptRow(nDivider, m_pFirst->GetItemRect().CenterPoint().y);
    SendMouse(View().m_hWnd, WM_LBUTTONDOWN, ptRow, MK_LBUTTON);
    EXPECT_TRUE(View().IsDividerDragging());
    SendMouse(View().m_hWnd, WM_MOUSEMOVE, CPoint(1, ptRow.y), MK_LBUTTON);
    SendMouse(View().m_hWnd, WM_LBUTTONUP, CPoint(1, ptRow.y));
    EXPECT_FALSE(View().IsDividerDragging());
    EXPECT_EQ((int)(nWidth * 0.1 + 0.5), View().GetDividerPos());

    // Ctrl+Right moves it 3 pixels.
    View().SetDividerPos(nWidth / 2);
    nDivider = View().GetDividerPos();
    View().SetFocus();
    testsupport::SetKeyDown(VK_CONTROL, true);
    SendKey(View().m_hWnd, VK_RIGHT);
    testsupport::SetKeyDown(VK_CONTROL, false);
    EXPECT_EQ(nDivider + 3, View().GetDividerPos());
}

TEST_F(ViewTest, KeysExpandCollapseAndToggle)
{
    AddTwoCategories();
    m_pFirst->Select();
    View().SetFocus();
    HWND hView = View().m_hWnd;

    SendKey(hView, VK_LEFT);
    EXPECT_FALSE(m_pFirst->IsExpanded());
    SendKey(hView, VK_RIGHT);
    EXPECT_TRUE(m_pFirst->IsExpanded());
    SendChar(hView, '-');
    EXPECT_FALSE(m_pFirst->IsExpanded());
    SendChar(hView, '+');
    EXPECT_TRUE(m_pFirst->IsExpanded());
    SendKey(hView, VK_RETURN);
    EXPECT_FALSE(m_pFirst->IsExpanded());
    EXPECT_EQ(4, View().GetCount());
}

// An item that counts the keys it is offered.
class KeyCountingItem : public CXTPPropertyGridItem
{
public:
    KeyCountingItem() : CXTPPropertyGridItem("Keys", "x") {}
    BOOL OnKeyDown(UINT nChar) override
    {
        m_keys.push_back(nChar);
        return FALSE;
    }
    std::vector<UINT> m_keys;
};

TEST_F(ViewTest, F4WithoutAComboButtonOnlyReachesTheItem)
{
    CXTPPropertyGridItem* pCategory = m_grid.AddCategory("Category");
    KeyCountingItem* pItem = new KeyCountingItem();
    pCategory->AddChildItem(pItem);
    pCategory->Expand();
    pItem->Select();
    View().SetFocus();
    SendKey(View().m_hWnd, VK_F4);
    ASSERT_EQ(1u, pItem->m_keys.size());
    EXPECT_EQ((UINT)VK_F4, pItem->m_keys[0]);
    EXPECT_FALSE(IsListShown());
    EXPECT_EQ(0u, CountNotes(XTP_PGN_INPLACEBUTTONDOWN));
}

// An item whose double click folds its own group away.
class FoldingItem : public CXTPPropertyGridItem
{
public:
    FoldingItem() : CXTPPropertyGridItem("Fold", "x") {}
    void OnLButtonDblClk(UINT, CPoint) override { GetParentItem()->Collapse(); }
};

TEST_F(ViewTest, DoubleClickReportsOnlyWhileTheSameRowIsUnderThePointer)
{
    AddTwoCategories();
    CXTPPropertyGridItem* pAlpha = m_pFirst->GetChilds()->GetAt(1);
    DoubleClickView(CaptionPoint(pAlpha));
    ASSERT_EQ(1u, CountNotes(XTP_PGN_DBLCLICK));
    EXPECT_EQ(pAlpha, Notified(XTP_PGN_DBLCLICK)[0]);

    // The row under the pointer changes during the double click: no report.
    ClearNotes();
    FoldingItem* pFold = new FoldingItem();
    m_pSecond->AddChildItem(pFold);
    DoubleClickView(CaptionPoint(pFold));
    EXPECT_FALSE(m_pSecond->IsExpanded());
    EXPECT_EQ(1u, CountNotes(XTP_PGN_ITEMEXPANDCHANGED));
    EXPECT_EQ(0u, CountNotes(XTP_PGN_DBLCLICK));
}

TEST_F(ViewTest, TooltipShowsOnlyForTextThatDoesNotFit)
{
    CXTPPropertyGridItem* pCategory = m_grid.AddCategory("Category");
    CXTPPropertyGridItem* pShort = pCategory->AddChildItem(new CXTPPropertyGridItem("Short", "v"));
    CXTPPropertyGridItem* pLong = pCategory->AddChildItem(
        new CXTPPropertyGridItem("A caption far too long for the caption column", "v"));
    pCategory->Expand();
    HWND hView = View().m_hWnd;

    HoverView(CaptionPoint(pShort));
    EXPECT_TRUE(View().GetToolTip().GetSafeHwnd() == NULL || !View().GetToolTip().IsWindowVisible());

    HoverView(CaptionPoint(pLong));
    ASSERT_TRUE(View().GetToolTip().GetSafeHwnd() != NULL);
    EXPECT_TRUE(View().GetToolTip().IsWindowVisible());
    EXPECT_STREQ(pLong->GetCaption(), View().GetToolTipText());

    // A key press hides it.
    SendKey(hView, VK_SHIFT);
    EXPECT_FALSE(View().GetToolTip().IsWindowVisible());
}

// The tip of a cut-off caption lies over the caption; a real click there is
// a click on the row: the system passes it to the view beneath the tip (the
// row is selected) and the mouse manager sees it (a bar tracked elsewhere,
// an open menu, closes).
TEST_F(ViewTest, AClickOnTheTipOfACutOffCaptionSelectsTheRowAndClosesTrackedBars)
{
    CXTPPropertyGridItem* pCategory = m_grid.AddCategory("Category");
    pCategory->AddChildItem(new CXTPPropertyGridItem("Short", "v"));
    CXTPPropertyGridItem* pLong = pCategory->AddChildItem(
        new CXTPPropertyGridItem("A caption far too long for the caption column", "v"));
    pCategory->Expand();
    ::SetForegroundWindow(m_host.m_hWnd);
    testsupport::Pump(50);

    CPoint pt = CaptionPoint(pLong);
    View().ClientToScreen(&pt);
    testsupport::SendInputs({testsupport::MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, pt)});
    for (int n = 0; n < 20 && (View().GetToolTip().GetSafeHwnd() == NULL || !View().GetToolTip().IsWindowVisible());
         n++)
        testsupport::Pump(25);
    ASSERT_TRUE(View().GetToolTip().GetSafeHwnd() != NULL && View().GetToolTip().IsWindowVisible());
    CRect rcTip;
    View().GetToolTip().GetWindowRect(&rcTip);
    ASSERT_TRUE(rcTip.PtInRect(pt)) << "the tip does not lie over the caption";
    EXPECT_EQ(View().m_hWnd, ::WindowFromPoint(pt)) << "the point is the tip's, not the view's";

    testsupport::FakeBar bar(m_rcHost.right + 40, m_rcHost.top, 60, 60);
    bar.Track();
    testsupport::SendInputs({testsupport::MouseInput(MOUSEEVENTF_LEFTDOWN), testsupport::MouseInput(MOUSEEVENTF_LEFTUP)});
    for (int n = 0; n < 20 && !pLong->IsSelected(); n++)
        testsupport::Pump(25);
    EXPECT_TRUE(pLong->IsSelected()) << "the click did not reach the row";
    EXPECT_EQ(1, bar.m_nExits) << "the mouse manager did not see the click";
}

// The tip shows only where the pointer really is: a move the system reports
// for a row the pointer is not on (as for a window appearing under where it
// believes the pointer to be) shows nothing, and a tip whose pointer went
// elsewhere without the view hearing of it goes by itself.
TEST_F(ViewTest, TooltipShowsOnlyWhileThePointerIsOnItsRow)
{
    CXTPPropertyGridItem* pCategory = m_grid.AddCategory("Category");
    CXTPPropertyGridItem* pShort = pCategory->AddChildItem(new CXTPPropertyGridItem("Short", "v"));
    CXTPPropertyGridItem* pLong = pCategory->AddChildItem(
        new CXTPPropertyGridItem("A caption far too long for the caption column", "v"));
    pCategory->Expand();
    HWND hView = View().m_hWnd;

    // The pointer on the short row, a move reported on the long one.
    HoverView(CaptionPoint(pShort));
    SendMouse(hView, WM_MOUSEMOVE, CaptionPoint(pLong));
    EXPECT_TRUE(View().GetToolTip().GetSafeHwnd() == NULL || !View().GetToolTip().IsWindowVisible());

    // The pointer away from the grid altogether.
    CPoint ptAway(m_rcHost.right + 200, m_rcHost.bottom + 200);
    ::SetCursorPos(ptAway.x, ptAway.y);
    SendMouse(hView, WM_MOUSEMOVE, CaptionPoint(pLong));
    EXPECT_TRUE(View().GetToolTip().GetSafeHwnd() == NULL || !View().GetToolTip().IsWindowVisible());

    // Really on the row: it shows; then the pointer leaves with no message
    // to the view: the tip goes within a moment.
    HoverView(CaptionPoint(pLong));
    ASSERT_TRUE(View().GetToolTip().GetSafeHwnd() != NULL);
    ASSERT_TRUE(View().GetToolTip().IsWindowVisible());
    ::SetCursorPos(ptAway.x, ptAway.y);
    for (int n = 0; n < 100 && View().GetToolTip().IsWindowVisible(); n++)
    {
        ::Sleep(20);
        testsupport::PumpPending();
    }
    EXPECT_FALSE(View().GetToolTip().IsWindowVisible()) << "the pointer left without the view hearing of it";

    // Back on the row: the same tip shows again.
    HoverView(CaptionPoint(pLong));
    EXPECT_TRUE(View().GetToolTip().IsWindowVisible());

    // A window comes over the row (another pane) with no message to the
    // view: the tip goes within a moment, and a move reported on the
    // covered row shows nothing.
    CPoint ptScreen = CaptionPoint(pLong);
    View().ClientToScreen(&ptScreen);
    CWnd cover;
    ASSERT_TRUE(cover.CreateEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, AfxRegisterWndClass(0), "", WS_POPUP,
                               ptScreen.x - 30, ptScreen.y - 15, 80, 30, NULL, NULL));
    cover.ShowWindow(SW_SHOWNA);
    for (int n = 0; n < 100 && View().GetToolTip().IsWindowVisible(); n++)
    {
        ::Sleep(20);
        testsupport::PumpPending();
    }
    EXPECT_FALSE(View().GetToolTip().IsWindowVisible()) << "the tip stays over the window covering its row";
    HoverView(CaptionPoint(pLong));
    EXPECT_FALSE(View().GetToolTip().IsWindowVisible()) << "a tip shows for a covered row";
    cover.DestroyWindow();
}

TEST_F(ViewTest, ScrollingMovesTheEditWithItsRow)
{
    m_grid.ShowHelp(FALSE);
    CXTPPropertyGridItem* pCategory = m_grid.AddCategory("Many");
    for (int i = 0; i < 40; i++)
    {
        CString strCaption;
        strCaption.Format("Item %d", i);
        pCategory->AddChildItem(new CXTPPropertyGridItem(strCaption, "v"));
    }
    pCategory->Expand();
    CXTPPropertyGridItem* pItem = pCategory->GetChilds()->GetAt(5);
    pItem->Select();
    ASSERT_TRUE(IsEditShown());
    CRect rcBefore;
    m_grid.GetInplaceEdit().GetWindowRect(&rcBefore);

    ::SendMessage(View().m_hWnd, WM_VSCROLL, SB_LINEDOWN, 0);
    CRect rcAfter;
    m_grid.GetInplaceEdit().GetWindowRect(&rcAfter);
    CRect rcRow = pItem->GetItemRect();
    View().ClientToScreen(&rcRow);
    EXPECT_EQ(rcBefore.top - View().GetDefaultItemHeight(), rcAfter.top);
    EXPECT_GE(rcAfter.top, rcRow.top);
    EXPECT_LE(rcAfter.bottom, rcRow.bottom);
}

TEST_F(ViewTest, TheWheelScrollsWhileTheValuesEditBoxHasTheFocus)
{
    m_grid.ShowHelp(FALSE);
    CXTPPropertyGridItem* pCategory = m_grid.AddCategory("Many");
    for (int i = 0; i < 40; i++)
    {
        CString strCaption;
        strCaption.Format("Item %d", i);
        pCategory->AddChildItem(new CXTPPropertyGridItem(strCaption, "v"));
    }
    pCategory->Expand();
    pCategory->GetChilds()->GetAt(2)->Select();
    ASSERT_TRUE(IsEditShown());
    m_grid.GetInplaceEdit().SetFocus();
    ASSERT_EQ(m_grid.GetInplaceEdit().m_hWnd, ::GetFocus());
    int nTop = View().GetTopIndex();

    CRect rcEdit;
    m_grid.GetInplaceEdit().GetWindowRect(&rcEdit);
    // The wheel goes to the focus window, as the system sends it.
    ::SendMessage(::GetFocus(), WM_MOUSEWHEEL, MAKEWPARAM(0, (WORD)(short)-WHEEL_DELTA),
                  MAKELPARAM(rcEdit.left + 2, rcEdit.top + 2));
    EXPECT_GT(View().GetTopIndex(), nTop) << "the view scrolled down";
}

TEST_F(ViewTest, AccessibilityListsTheRows)
{
    AddTwoCategories();
    long nCount = 0;
    ASSERT_EQ(S_OK, View().GetAccessible()->get_accChildCount(&nCount));
    EXPECT_EQ(6, nCount);
    VARIANT varChild;
    varChild.vt = VT_I4;
    varChild.lVal = 2;
    IDispatch* pDispatch = NULL;
    ASSERT_EQ(S_OK, View().GetAccessible()->get_accChild(varChild, &pDispatch));
    ASSERT_TRUE(pDispatch != NULL);
    pDispatch->Release();
    VARIANT varSelf;
    varSelf.vt = VT_I4;
    varSelf.lVal = CHILDID_SELF;
    VARIANT varRole;
    ASSERT_EQ(S_OK, View().GetAccessible()->get_accRole(varSelf, &varRole));
    EXPECT_EQ(ROLE_SYSTEM_TABLE, varRole.lVal);
}
} // namespace
