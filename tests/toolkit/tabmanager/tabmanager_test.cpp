// The tab manager: items and their colours, selection, scrolling, the
// navigate buttons' press loop, the reorder drag and the keyboard.
#include "support/wndtest.h"

#include <XTPTabPaintManager.h>

#include <gtest/gtest.h>

#include <vector>

namespace
{
::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new testsupport::Environment);

// A strip in a window of its own; item lengths can be fixed by the test
// (an item's data word is its length when the fixed-length set is used).
class CTestStrip : public CWnd, public CXTPTabManager
{
public:
    CTestStrip()
    {
        m_pPaintManager = new CXTPTabPaintManager();
    }
    ~CTestStrip()
    {
        if (m_hWnd != NULL)
            DestroyWindow();
        m_pPaintManager->InternalRelease();
    }

    BOOL Create(CRect rc, DWORD dwExStyle = 0)
    {
        return CreateEx(dwExStyle, AfxRegisterWndClass(0), "strip", WS_POPUP, rc, NULL, 0);
    }

    virtual void Reposition()
    {
        if (m_hWnd == NULL)
            return;
        CClientDC dc(this);
        CRect rc;
        CWnd::GetClientRect(&rc);
        m_pPaintManager->RepositionTabControlEntry(this, &dc, rc);
    }
    virtual CXTPTabPaintManager* GetPaintManager() const { return m_pPaintManager; }
    virtual void RedrawControl(LPCRECT lpRect, BOOL) { if (m_hWnd) InvalidateRect(lpRect, FALSE); }
    virtual BOOL DrawIcon(CDC*, CPoint, CXTPTabManagerItem* pItem, BOOL, CSize&) const { return pItem == NULL; }
    virtual void OnSelectItem(CXTPTabManagerItem* pItem)
    {
        nSelections++;
        CXTPTabManager::OnSelectItem(pItem);
    }
    virtual void ScrollByStep(int nDirection)
    {
        arrStepTicks.push_back(::GetTickCount());
        CXTPTabManager::ScrollByStep(nDirection);
    }
    virtual void OnNavigateButtonClick(int nID) { arrNavigateClicks.push_back(nID); }

    CXTPTabManagerItem* Add(LPCTSTR lpszCaption, DWORD_PTR dwData = 0)
    {
        CXTPTabManagerItem* pItem = InsertItem(-1);
        pItem->SetCaption(lpszCaption);
        pItem->SetData(dwData);
        return pItem;
    }

    CXTPTabPaintManager* m_pPaintManager;
    int nSelections = 0;
    std::vector<DWORD> arrStepTicks;
    std::vector<int> arrNavigateClicks;
};

// Items as long as their data words, and no header margins unless given.
class CFixedLengthSet : public CXTPTabPaintManager::CAppearanceSetFlat
{
public:
    explicit CFixedLengthSet(CRect rcHeaderMargin = CRect(0, 0, 0, 0)) { m_rcHeaderMargin = rcHeaderMargin; }
    virtual int GetItemLength(CDC*, CXTPTabManagerItem* pItem) { return (int)pItem->GetData(); }
};

LPARAM PointParam(CPoint pt)
{
    return MAKELPARAM(pt.x, pt.y);
}

TEST(TabManagerItems, AutomaticColoursRepeatEveryEighthItemAndIndexesPastTheEndAppend)
{
    CTestStrip strip;
    for (int i = 0; i < 9; i++)
        strip.InsertItem(-1);
    EXPECT_EQ(0xE4A88Au, strip.GetItemColor(strip.GetItem(0)));
    EXPECT_EQ(0x75DBFFu, strip.GetItemColor(strip.GetItem(1)));
    EXPECT_EQ(0xE4A88Au, strip.GetItemColor(strip.GetItem(8)));

    CXTPTabManagerItem* pPast = strip.InsertItem(100);
    EXPECT_EQ(9, pPast->GetIndex());
    CXTPTabManagerItem* pFirst = strip.InsertItem(0);
    EXPECT_EQ(0, pFirst->GetIndex());
    EXPECT_EQ(10, pPast->GetIndex());

    // A colour that is not automatic is the item's own.
    pFirst->SetColor(RGB(1, 2, 3));
    EXPECT_EQ(RGB(1, 2, 3), pFirst->GetColor());
    EXPECT_THROW(strip.GetItem(11), CException*);
}

TEST(TabManagerItems, SelectionIsClampedAndDeletingAllClearsIt)
{
    CTestStrip strip;
    strip.SetCurSel(3);
    EXPECT_EQ(-1, strip.GetCurSel());
    strip.Add("a");
    strip.Add("b");
    strip.SetCurSel(7);
    EXPECT_EQ(1, strip.GetCurSel());
    strip.SetCurSel(-4);
    EXPECT_EQ(0, strip.GetCurSel());
    strip.DeleteAllItems();
    EXPECT_EQ(NULL, strip.GetSelectedItem());
    EXPECT_EQ(0, strip.GetItemCount());
}

TEST(TabManagerScrolling, OffsetsAreNeverPositiveAndALayoutPullsAnOverscrollBack)
{
    CTestStrip strip;
    ASSERT_TRUE(strip.Create(CRect(0, 0, 200, 40)));
    strip.SetScrollOffset(5);
    EXPECT_EQ(0, strip.GetScrollOffset());

    CFixedLengthSet* pSet = new CFixedLengthSet();
    strip.m_pPaintManager->SetAppearanceSet(pSet);
    for (int i = 0; i < 6; i++)
        strip.Add("t", 60);
    strip.Reposition();
    strip.SetScrollOffset(-1000);
    CRect rcHeader = strip.GetHeaderRect();
    const CXTPTabManagerItem* pLast = strip.GetItem(5);
    EXPECT_EQ(rcHeader.right, pLast->GetRect().right);
    EXPECT_LT(strip.GetScrollOffset(), 0);

    // The left arrow is enabled while scrolled, the right one no longer.
    EXPECT_TRUE(strip.FindNavigateButton(xtpTabNavigateButtonLeft)->IsEnabled());
    EXPECT_FALSE(strip.FindNavigateButton(xtpTabNavigateButtonRight)->IsEnabled());
}

TEST(TabManagerScrolling, AnItemSelectedPastTheEndLiesInTheHeaderTheArrowsLeaveOnceItsScrollShowsThem)
{
    CTestStrip strip;
    ASSERT_TRUE(strip.Create(CRect(0, 0, 300, 40)));
    // A leading margin as the slanted tabs have: unscrolled, the arrows stay
    // hidden while the last item runs a little past the header's end.
    strip.m_pPaintManager->SetAppearanceSet(new CFixedLengthSet(CRect(20, 0, 6, 0)));
    for (int i = 0; i < 5; i++)
        strip.Add("t", 58);
    strip.Reposition();
    CXTPTabManager::CNavigateButton* pRight = strip.FindNavigateButton(xtpTabNavigateButtonRight);
    ASSERT_FALSE(pRight->IsVisible());
    ASSERT_GT(strip.GetItem(4)->GetRect().right, strip.GetHeaderRect().right);

    // Selected, it is scrolled in; the scroll shows the arrows, which take
    // their room off the header, and it is whole in what is left.
    strip.SetCurSel(4);
    EXPECT_LT(strip.GetScrollOffset(), 0);
    EXPECT_TRUE(pRight->IsVisible());
    CRect rcHeader = strip.GetHeaderRect();
    CRect rcLast = strip.GetItem(4)->GetRect();
    EXPECT_LE(rcLast.right, rcHeader.right);
    EXPECT_GE(rcLast.left, rcHeader.left);
    EXPECT_LE(rcHeader.right, pRight->GetRect().left);
    EXPECT_EQ(strip.GetItem(4), strip.HitTest(rcLast.CenterPoint()));

    // Back at the first, the strip is unscrolled and the arrows go.
    strip.SetCurSel(0);
    EXPECT_EQ(0, strip.GetScrollOffset());
    EXPECT_FALSE(pRight->IsVisible());
    EXPECT_GE(strip.GetItem(0)->GetRect().left, strip.GetHeaderRect().left);
}

TEST(TabManagerLayout, SizeToFitShrinksTheLongestItemsFirst)
{
    CTestStrip strip;
    ASSERT_TRUE(strip.Create(CRect(0, 0, 200, 40)));
    strip.m_pPaintManager->SetAppearanceSet(new CFixedLengthSet());
    strip.m_pPaintManager->SetLayout(xtpTabLayoutSizeToFit);
    strip.Add("a", 100);
    strip.Add("b", 80);
    strip.Add("c", 60);
    strip.Reposition();
    EXPECT_EQ(70, strip.GetItem(0)->GetButtonLength());
    EXPECT_EQ(70, strip.GetItem(1)->GetButtonLength());
    EXPECT_EQ(60, strip.GetItem(2)->GetButtonLength());

    // All equal: each gets an equal share; one item gets all.
    strip.DeleteAllItems();
    for (int i = 0; i < 4; i++)
        strip.Add("x", 100);
    strip.Reposition();
    EXPECT_EQ(50, strip.GetItem(3)->GetButtonLength());
    strip.DeleteAllItems();
    strip.Add("x", 500);
    strip.Reposition();
    EXPECT_EQ(200, strip.GetItem(0)->GetButtonLength());
}

TEST(TabManagerMouse, AReorderDragSwapsWithTheDropPlaceAndSelectsOnceAtTheEnd)
{
    CTestStrip strip;
    ASSERT_TRUE(strip.Create(CRect(0, 0, 400, 40)));
    strip.m_pPaintManager->SetAppearanceSet(new CFixedLengthSet());
    CXTPTabManagerItem* p0 = strip.Add("zero", 80);
    CXTPTabManagerItem* p1 = strip.Add("one", 80);
    CXTPTabManagerItem* p2 = strip.Add("two", 80);
    strip.Reposition();
    strip.SetSelectedItem(p1);
    strip.nSelections = 0;

    CPoint ptStart = p0->GetRect().CenterPoint();
    CPoint ptDrop = p2->GetRect().CenterPoint();
    strip.PostMessage(WM_MOUSEMOVE, 0, PointParam(ptDrop));
    strip.PostMessage(WM_LBUTTONUP, 0, PointParam(ptDrop));
    EXPECT_TRUE(strip.HandleLButtonDown(strip.m_hWnd, ptStart));

    EXPECT_EQ(p2, strip.GetItem(0));
    EXPECT_EQ(p1, strip.GetItem(1));
    EXPECT_EQ(p0, strip.GetItem(2));
    EXPECT_EQ(1, strip.nSelections);
    EXPECT_EQ(p0, strip.GetSelectedItem());
    EXPECT_EQ(NULL, ::GetCapture());
}

TEST(TabManagerMouse, TheCloseButtonActsOnlyWhenReleasedOverIt)
{
    CTestStrip strip;
    ASSERT_TRUE(strip.Create(CRect(0, 0, 300, 40)));
    strip.m_pPaintManager->SetAppearanceSet(new CFixedLengthSet());
    strip.SetSelectedItem(strip.Add("a", 50));
    strip.FindNavigateButton(xtpTabNavigateButtonClose)->SetShowMode(xtpTabNavigateButtonAlways);
    strip.Reposition();
    CRect rcClose = strip.FindNavigateButton(xtpTabNavigateButtonClose)->GetRect();
    ASSERT_FALSE(rcClose.IsRectEmpty());

    strip.PostMessage(WM_LBUTTONUP, 0, PointParam(CPoint(5, 5)));
    EXPECT_TRUE(strip.HandleLButtonDown(strip.m_hWnd, rcClose.CenterPoint()));
    EXPECT_TRUE(strip.arrNavigateClicks.empty());

    strip.PostMessage(WM_LBUTTONUP, 0, PointParam(rcClose.CenterPoint()));
    strip.HandleLButtonDown(strip.m_hWnd, rcClose.CenterPoint());
    ASSERT_EQ(1u, strip.arrNavigateClicks.size());
    EXPECT_EQ(xtpTabNavigateButtonClose, strip.arrNavigateClicks[0]);

    // Escape cancels the press.
    strip.PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    strip.HandleLButtonDown(strip.m_hWnd, rcClose.CenterPoint());
    EXPECT_EQ(1u, strip.arrNavigateClicks.size());
}

void CALLBACK ReleaseButtonLater(HWND hWnd, UINT, UINT_PTR nIDEvent, DWORD)
{
    ::KillTimer(hWnd, nIDEvent);
    ::PostMessage(hWnd, WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
}

TEST(TabManagerMouse, AHeldArrowStepsOnlyAfterMoreThanTwentyMillisecondsAndStopsWhenDisabled)
{
    CTestStrip strip;
    ASSERT_TRUE(strip.Create(CRect(0, 0, 200, 40)));
    strip.m_pPaintManager->SetAppearanceSet(new CFixedLengthSet());
    for (int i = 0; i < 5; i++)
        strip.Add("t", 60);   // 300 pixels in 200: a few steps of 20
    strip.Reposition();
    CXTPTabManager::CNavigateButton* pRight = strip.FindNavigateButton(xtpTabNavigateButtonRight);
    ASSERT_TRUE(pRight->IsEnabled());
    CPoint ptRight = pRight->GetRect().CenterPoint();

    strip.SetTimer(1, 700, ReleaseButtonLater);
    strip.HandleLButtonDown(strip.m_hWnd, ptRight);

    ASSERT_GE(strip.arrStepTicks.size(), 2u);
    for (size_t i = 1; i < strip.arrStepTicks.size(); i++)
        EXPECT_GT(strip.arrStepTicks[i] - strip.arrStepTicks[i - 1], 20u);
    // Scrolled to the end, the arrow is disabled and the steps stopped.
    EXPECT_FALSE(pRight->IsEnabled());
    EXPECT_LE(strip.arrStepTicks.size(), 8u);
    EXPECT_EQ(strip.GetHeaderRect().right, strip.GetItem(4)->GetRect().right);
}

TEST(TabManagerKeys, ArrowKeysFollowTheStripAndTheLayoutDirection)
{
    CTestStrip strip;
    ASSERT_TRUE(strip.Create(CRect(0, 0, 300, 40)));
    strip.Add("a");
    strip.Add("b");
    strip.Add("c");
    strip.SetCurSel(0);

    EXPECT_TRUE(strip.PerformKeyDown(strip.m_hWnd, VK_RIGHT));
    EXPECT_EQ(1, strip.GetCurSel());
    EXPECT_TRUE(strip.PerformKeyDown(strip.m_hWnd, VK_DOWN));   // the other orientation does nothing
    EXPECT_EQ(1, strip.GetCurSel());
    EXPECT_TRUE(strip.PerformKeyDown(strip.m_hWnd, VK_END));
    EXPECT_EQ(2, strip.GetCurSel());
    EXPECT_FALSE(strip.PerformKeyDown(strip.m_hWnd, 'A'));

    // A disabled item is skipped.
    strip.GetItem(1)->SetEnabled(FALSE);
    EXPECT_TRUE(strip.PerformKeyDown(strip.m_hWnd, VK_LEFT));
    EXPECT_EQ(0, strip.GetCurSel());

    CTestStrip rtl;
    ASSERT_TRUE(rtl.Create(CRect(0, 0, 300, 40), WS_EX_LAYOUTRTL));
    rtl.Add("a");
    rtl.Add("b");
    rtl.SetCurSel(0);
    EXPECT_TRUE(rtl.PerformKeyDown(rtl.m_hWnd, VK_LEFT));
    EXPECT_EQ(1, rtl.GetCurSel());

    // Nothing to focus: the keys are taken all the same.
    strip.GetItem(0)->SetVisible(FALSE);
    strip.GetItem(2)->SetEnabled(FALSE);
    strip.SetCurSel(0);
    EXPECT_TRUE(strip.PerformKeyDown(strip.m_hWnd, VK_HOME));
    EXPECT_TRUE(strip.PerformKeyDown(strip.m_hWnd, VK_END));
    EXPECT_EQ(0, strip.GetCurSel());
}

TEST(TabManagerLayout, MultiRowMovesTheSelectedRowNextToTheClientArea)
{
    CTestStrip strip;
    ASSERT_TRUE(strip.Create(CRect(0, 0, 200, 120)));
    strip.m_pPaintManager->SetAppearanceSet(new CFixedLengthSet());
    strip.m_pPaintManager->SetLayout(xtpTabLayoutMultiRow);
    for (int i = 0; i < 6; i++)
        strip.Add("t", 70);
    strip.SetCurSel(0);
    strip.Reposition();
    ASSERT_GE(strip.GetRowCount(), 2);
    const CXTPTabManagerItem* pSelected = strip.GetSelectedItem();
    EXPECT_EQ(0, pSelected->m_nItemRow);
    // Row 0 lies lowest (next to the client area) on a top strip.
    int nBottom = 0;
    for (int i = 0; i < strip.GetItemCount(); i++)
        nBottom = std::max(nBottom, (int)strip.GetItem(i)->GetRect().bottom);
    EXPECT_EQ(nBottom, pSelected->GetRect().bottom);
    // Justified rows fill the header.
    for (int r = 0; r < strip.GetRowCount(); r++)
    {
        int nLength = 0;
        for (int i = 0; i < strip.GetItemCount(); i++)
        {
            if (strip.GetItem(i)->m_nItemRow == r)
                nLength += strip.GetItem(i)->GetButtonLength();
        }
        EXPECT_EQ(strip.GetHeaderRect().Width(), nLength) << "row " << r;
    }

    strip.m_pPaintManager->m_bMultiRowFixedSelection = TRUE;
    strip.SetCurSel(5);
    strip.Reposition();
    EXPECT_NE(0, strip.GetSelectedItem()->m_nItemRow);
}
TEST(TabManagerTips, NavigateButtonsHaveTheirTipsAndItemsOnlyWhenTheirCaptionIsCut)
{
    CTestStrip strip;
    ASSERT_TRUE(strip.Create(CRect(0, 0, 120, 40)));
    strip.m_pPaintManager->SetLayout(xtpTabLayoutSizeToFit);
    CXTPTabManagerItem* pShort = strip.Add("ab");
    pShort->SetTooltip("tip of ab");
    strip.Reposition();

    TOOLINFO ti;
    ZeroMemory(&ti, sizeof(ti));
    ti.cbSize = 40;
    CPoint ptItem = pShort->GetRect().CenterPoint();
    EXPECT_EQ(-1, strip.ToolHitTest(strip.m_hWnd, ptItem, &ti));   // not cut

    CXTPTabManagerItem* pLong = strip.Add("a caption far too long for the strip");
    pLong->SetTooltip("the whole caption");
    strip.Reposition();
    ASSERT_LT(pLong->GetButtonLength(), pLong->GetContentLength());
    INT_PTR nHit = strip.ToolHitTest(strip.m_hWnd, pLong->GetRect().CenterPoint(), &ti);
    EXPECT_EQ(1, nHit);
    if (ti.lpszText != NULL && ti.lpszText != LPSTR_TEXTCALLBACK)
        free(ti.lpszText);

    strip.m_pPaintManager->m_toolBehaviour = xtpTabToolTipNever;
    EXPECT_EQ(-1, strip.ToolHitTest(strip.m_hWnd, pLong->GetRect().CenterPoint(), &ti));

    // The arrows of a strip that does not fit, with the strings' texts.
    strip.m_pPaintManager->SetLayout(xtpTabLayoutAutoSize);
    strip.Reposition();
    CXTPTabManager::CNavigateButton* pRight = strip.FindNavigateButton(xtpTabNavigateButtonRight);
    EXPECT_EQ(CString("Scroll Right"), pRight->GetTooltip());
    EXPECT_EQ(CString("Scroll Left"), strip.FindNavigateButton(xtpTabNavigateButtonLeft)->GetTooltip());
    EXPECT_EQ(CString("Close"), strip.FindNavigateButton(xtpTabNavigateButtonClose)->GetTooltip());
    ASSERT_FALSE(pRight->GetRect().IsRectEmpty());
    ZeroMemory(&ti, sizeof(ti));
    ti.cbSize = 40;
    EXPECT_EQ(xtpTabNavigateButtonRight, strip.ToolHitTest(strip.m_hWnd, pRight->GetRect().CenterPoint(), &ti));
    if (ti.lpszText != NULL && ti.lpszText != LPSTR_TEXTCALLBACK)
        free(ti.lpszText);
    // The left arrow is disabled until the strip is scrolled: no tip.
    CXTPTabManager::CNavigateButton* pLeft = strip.FindNavigateButton(xtpTabNavigateButtonLeft);
    if (!pLeft->GetRect().IsRectEmpty())
    {
        EXPECT_EQ(-1, strip.ToolHitTest(strip.m_hWnd, pLeft->GetRect().CenterPoint(), &ti));
    }
}

TEST(TabManagerLayout, FixedAndCompressedLengthsKeepToTheirBounds)
{
    CTestStrip strip;
    ASSERT_TRUE(strip.Create(CRect(0, 0, 400, 40)));
    strip.m_pPaintManager->SetLayout(xtpTabLayoutFixed);
    strip.m_pPaintManager->m_rcButtonMargin.SetRect(3, 0, 4, 0);
    CXTPTabManagerItem* pFirst = strip.Add("a long caption indeed");
    CXTPTabManagerItem* pSecond = strip.Add("b");
    strip.Reposition();
    EXPECT_EQ(70 + 7, pFirst->GetButtonLength());
    EXPECT_EQ(70 + 7, pSecond->GetButtonLength());
    strip.m_pPaintManager->m_nMaxTabWidth = 60;
    strip.Reposition();
    EXPECT_EQ(60, pFirst->GetButtonLength());

    // Compressed: only the selected item has room for a caption, the widest one.
    strip.m_pPaintManager->m_nMaxTabWidth = 0;
    strip.m_pPaintManager->SetLayout(xtpTabLayoutCompressed);
    strip.SetSelectedItem(pSecond);
    strip.Reposition();
    EXPECT_EQ(8 + 7, pFirst->GetButtonLength());
    EXPECT_GT(pSecond->GetButtonLength(), 60);
}

} // namespace
