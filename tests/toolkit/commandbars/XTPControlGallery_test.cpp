// The gallery control: item layout with labels, hit tests, scrolling limits,
// the scroll-bar style per theme, keyboard moves, searching, its scroll
// buttons and copies, and that relayouts and paints leak no GDI objects.
#include <gtest/gtest.h>

#include <ostream>

#include "XTPCommandBars.h"
#include "XTPControlGallery.h"
#include "XTPControlGalleryPaintManager.h"
#include "XTPPaintManager.h"
#include "XTPPopupBar.h"
#include "XTPPropExchange.h"
#include "support/bars_frame.h"
#include "support/canvas.h"
#include "support/gdi_count.h"

using testsupport::CBarsFrame;

// Dispatches what is queued.
void PumpMessages()
{
    MSG msg;
    while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
    {
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
}

// Rectangles print as their four sides in failure messages.
void PrintTo(const CRect& rc, std::ostream* os)
{
    *os << "(" << rc.left << ", " << rc.top << ", " << rc.right << ", " << rc.bottom << ")";
}

namespace
{
class GalleryTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CXTPPaintManager::SetTheme(xtpThemeOffice2003);
        m_pFrame = CBarsFrame::Create();
        ASSERT_NE(nullptr, m_pFrame);
        m_pPopup = CXTPPopupBar::CreatePopupBar(m_pFrame->GetCommandBars());
        m_pGallery = (CXTPControlGallery*)m_pPopup->GetControls()->Add(xtpControlGallery, 500);
        ASSERT_TRUE(m_pGallery->IsKindOf(RUNTIME_CLASS(CXTPControlGallery)));
        m_pItems = new CXTPControlGalleryItems();
        m_pItems->SetItemSize(CSize(40, 20));
        m_pGallery->SetItems(m_pItems);
        m_pGallery->ShowScrollBar(FALSE);
    }
    void TearDown() override
    {
        m_pItems->InternalRelease();
        m_pPopup->InternalRelease();
        m_pFrame->DestroyWindow();
        CXTPPaintManager::SetTheme(xtpThemeDefault);
    }
    // Items "0".."n-1".
    void AddItems(int nCount)
    {
        for (int i = 0; i < nCount; i++)
        {
            CString str;
            str.Format("%d", i);
            m_pItems->AddItem(str, 100 + i);
        }
    }
    CRect ItemRect(int nIndex) { return m_pGallery->GetItemPositions()[nIndex].rcItem; }

    CBarsFrame* m_pFrame = nullptr;
    CXTPPopupBar* m_pPopup = nullptr;
    CXTPControlGallery* m_pGallery = nullptr;
    CXTPControlGalleryItems* m_pItems = nullptr;
};
} // namespace

TEST_F(GalleryTest, ConstructionDefaults)
{
    CXTPControlGallery gallery;
    EXPECT_EQ(xtpControlGallery, gallery.GetType());
    EXPECT_EQ(64u, gallery.GetFlags());
    EXPECT_EQ(CSize(120, 60), gallery.GetSize(NULL));
    EXPECT_EQ(-1, gallery.GetCheckedItem());
    EXPECT_EQ(-1, gallery.GetSelectedItem());
    EXPECT_TRUE(gallery.IsShowLabels());
    EXPECT_TRUE(gallery.IsShowScrollBar());
    EXPECT_FALSE(gallery.IsShowBorders());
    EXPECT_EQ(0, gallery.GetItemCount()) << "no items: nothing to show";
    EXPECT_EQ(nullptr, gallery.GetItem(0));
}

TEST_F(GalleryTest, ItemsFillRowsAndLabelsStartRowsOfTheirOwn)
{
    AddItems(4);
    m_pItems->AddLabel("Greys");
    AddItems(1);
    m_pGallery->SetRect(CRect(0, 0, 120, 200));

    EXPECT_EQ(CRect(0, 0, 40, 20), ItemRect(0));
    EXPECT_EQ(CRect(80, 0, 120, 20), ItemRect(2)) << "three items per row";
    EXPECT_EQ(CRect(0, 20, 40, 40), ItemRect(3));
    EXPECT_TRUE(m_pGallery->GetItemPositions()[3].bBeginRow);
    EXPECT_EQ(CRect(0, 40, 120, 59), ItemRect(4)) << "a label 19 high across the row";
    EXPECT_EQ(CRect(0, 60, 40, 80), ItemRect(5)) << "on a 20 pixel step";
    EXPECT_EQ(80, m_pGallery->GetContentHeight());

    // An item of width 0 takes a whole row.
    m_pItems->GetItem(1)->SetSize(CSize(0, 25));
    m_pGallery->Reposition();
    EXPECT_EQ(CRect(0, 20, 120, 45), ItemRect(1)) << "a row of its own";
    EXPECT_EQ(CRect(0, 45, 40, 65), ItemRect(2)) << "the next item wraps";
}

TEST_F(GalleryTest, HiddenLabelsAreNeitherLaidOutNorHit)
{
    AddItems(2);
    m_pItems->AddLabel("Label");
    AddItems(1);
    m_pGallery->SetRect(CRect(0, 0, 120, 100));
    EXPECT_EQ(-1, m_pGallery->HitTestItem(CPoint(60, 45))) << "a label is never an item";
    EXPECT_EQ(0, m_pGallery->HitTestItem(CPoint(5, 5)));
    EXPECT_EQ(3, m_pGallery->HitTestItem(CPoint(5, 45)));

    m_pGallery->ShowLabels(FALSE);
    EXPECT_TRUE(ItemRect(2).IsRectEmpty());
    EXPECT_EQ(CRect(80, 0, 120, 20), ItemRect(3)) << "the row goes on past a hidden label";
    EXPECT_EQ(3, m_pGallery->HitTestItem(CPoint(85, 5)));
    EXPECT_EQ(-1, m_pGallery->HitTestItem(CPoint(200, 5)));
}

TEST_F(GalleryTest, ShortContentStaysAtOffsetZero)
{
    AddItems(2);
    m_pGallery->SetRect(CRect(0, 0, 120, 60));
    m_pGallery->SetScrollPos(-5);
    EXPECT_EQ(0, m_pGallery->GetScrollPos());
    m_pGallery->SetScrollPos(50);
    EXPECT_EQ(0, m_pGallery->GetScrollPos()) << "the lower bound wins";
    m_pGallery->OnMouseWheel(-120);
    EXPECT_EQ(0, m_pGallery->GetScrollPos());
    m_pGallery->OnMouseWheel(120);
    EXPECT_EQ(0, m_pGallery->GetScrollPos());
}

TEST_F(GalleryTest, ScrollingIsClampedAndScrollCommandsMoveByItemsAndPages)
{
    AddItems(30);   // 10 rows of 20: 200 high in a 60 pixel rectangle
    m_pGallery->SetRect(CRect(0, 0, 120, 60));
    EXPECT_EQ(200, m_pGallery->GetContentHeight());
    m_pGallery->SetScrollPos(1000);
    EXPECT_EQ(140, m_pGallery->GetScrollPos());
    m_pGallery->DoScroll(SB_LINEUP, 0);
    EXPECT_EQ(120, m_pGallery->GetScrollPos());
    m_pGallery->DoScroll(SB_PAGEUP, 0);
    EXPECT_EQ(60, m_pGallery->GetScrollPos());
    m_pGallery->DoScroll(SB_THUMBTRACK, 33);
    EXPECT_EQ(33, m_pGallery->GetScrollPos());
    m_pGallery->DoScroll(SB_TOP, 0);
    EXPECT_EQ(0, m_pGallery->GetScrollPos());
    m_pGallery->OnMouseWheel(-120);
    EXPECT_EQ(60, m_pGallery->GetScrollPos()) << "three item heights per notch";

    // The scroll info the bar lays itself out with.
    SCROLLINFO si = {};
    m_pGallery->GetScrollInfo(&si);
    EXPECT_EQ(0, si.nMin);
    EXPECT_EQ(199, si.nMax);
    EXPECT_EQ(60u, si.nPage);
    EXPECT_EQ(60, si.nPos);

    // Drawn rectangles follow the offset and are clipped to the items.
    EXPECT_EQ(CRect(0, 0, 40, 20), m_pGallery->GetItemDrawRect(9));
    EXPECT_TRUE(m_pGallery->GetItemDrawRect(0).IsRectEmpty());
    EXPECT_TRUE(m_pGallery->GetItemDrawRect(99).IsRectEmpty());
    EXPECT_EQ(9, m_pGallery->HitTestItem(CPoint(5, 5)));

    EXPECT_EQ(0, m_pGallery->SetTopIndex(3));
    EXPECT_EQ(20, m_pGallery->GetScrollPos());
    EXPECT_EQ(-1, m_pGallery->SetTopIndex(30));
}

TEST_F(GalleryTest, EnsureVisibleScrollsToTheItemOrItsLabel)
{
    m_pItems->AddLabel("First");
    AddItems(6);
    m_pItems->AddLabel("Second");
    AddItems(3);
    m_pGallery->SetRect(CRect(0, 0, 120, 60));
    // Label 0-19, rows 20-40, 40-60, label 60-79, row 80-100.
    m_pGallery->EnsureVisible(9);
    EXPECT_EQ(40, m_pGallery->GetScrollPos()) << "the item's bottom meets the rectangle's";
    m_pGallery->SetScrollPos(100);
    m_pGallery->EnsureVisible(1);
    EXPECT_EQ(0, m_pGallery->GetScrollPos()) << "up to its label when both fit";
}

TEST_F(GalleryTest, ScrollBarStyleFollowsTheThemeAndTheOverride)
{
    const int themes[3] = {xtpThemeDefault, xtpThemeOffice2003, xtpThemeOffice2007};
    const int styles[3] = {2, 3, 5};
    for (int i = 0; i < 3; i++)
    {
        CXTPPaintManager::SetTheme(themes[i]);
        EXPECT_EQ(styles[i], m_pGallery->GetScrollBarStyle()) << "theme " << themes[i];
    }
    m_pGallery->SetScrollBarStyle(6);
    EXPECT_EQ(6, m_pGallery->GetScrollBarStyle());
}

TEST_F(GalleryTest, SearchesByPrefixWrapAndExactIgnoresCase)
{
    m_pItems->AddItem("Red");
    m_pItems->AddItem("Green");
    m_pItems->AddItem("Grey");
    m_pItems->AddItem("Blue");
    CXTPControlComboBoxGalleryPopupBar* pBar = new CXTPControlComboBoxGalleryPopupBar();
    CXTPControlGallery* pGallery = (CXTPControlGallery*)pBar->GetControls()->Add(new CXTPControlGallery(), 600);
    pGallery->SetItems(m_pItems);
    EXPECT_EQ(1, pBar->FindString(-1, "gr"));
    EXPECT_EQ(2, pBar->FindString(1, "gr"));
    EXPECT_EQ(1, pBar->FindString(2, "gr")) << "wraps at the end";
    EXPECT_EQ(2, pBar->FindStringExact(-1, "GREY"));
    EXPECT_EQ(-1, pBar->FindStringExact(-1, "Gre"));
    EXPECT_EQ(-1, pBar->FindString(-1, "Greenish")) << "longer than every caption";
    EXPECT_EQ(-1, pBar->FindString(-1, ""));
    CString str;
    pBar->GetText(3, str);
    EXPECT_STREQ("Blue", str);
    pBar->GetText(9, str);
    EXPECT_STREQ("", str);
    pBar->InternalRelease();
}

TEST_F(GalleryTest, NextEnabledItemSkipsLabelsAndWrapsOnce)
{
    m_pItems->AddLabel("A");
    AddItems(2);
    m_pItems->AddLabel("B");
    AddItems(1);
    EXPECT_EQ(1, m_pGallery->GetNextEnabledItem(-1, +1));
    EXPECT_EQ(4, m_pGallery->GetNextEnabledItem(-1, -1));
    EXPECT_EQ(4, m_pGallery->GetNextEnabledItem(2, +1));
    EXPECT_EQ(1, m_pGallery->GetNextEnabledItem(4, +1)) << "wraps";
    EXPECT_EQ(4, m_pGallery->GetNextEnabledItem(1, -1)) << "wraps backwards";
    m_pItems->RemoveAll();
    m_pItems->AddLabel("only");
    EXPECT_EQ(-1, m_pGallery->GetNextEnabledItem(-1, +1));
}

TEST_F(GalleryTest, KeysMoveTheSelectionWithinRowsAndColumns)
{
    AddItems(7);
    m_pGallery->SetRect(CRect(0, 0, 120, 100));
    m_pPopup->m_nSelected = m_pGallery->GetIndex();
    m_pGallery->SetSelectedItem(0);
    EXPECT_TRUE(m_pGallery->OnHookKeyDown(VK_RIGHT, 0));
    EXPECT_EQ(1, m_pGallery->GetSelectedItem());
    EXPECT_TRUE(m_pGallery->OnHookKeyDown(VK_DOWN, 0));
    EXPECT_EQ(4, m_pGallery->GetSelectedItem()) << "same column, next row";
    EXPECT_TRUE(m_pGallery->OnHookKeyDown(VK_LEFT, 0));
    EXPECT_TRUE(m_pGallery->OnHookKeyDown(VK_LEFT, 0));
    EXPECT_EQ(5, m_pGallery->GetSelectedItem()) << "wraps to the end of its row";
    EXPECT_TRUE(m_pGallery->OnHookKeyDown(VK_END, 0));
    EXPECT_EQ(6, m_pGallery->GetSelectedItem());
    EXPECT_FALSE(m_pGallery->OnHookKeyDown(VK_DOWN, 0)) << "nothing below";
    EXPECT_TRUE(m_pGallery->OnHookKeyDown(VK_HOME, 0));
    EXPECT_EQ(0, m_pGallery->GetSelectedItem());
    EXPECT_FALSE(m_pGallery->OnHookKeyDown(VK_F1, 0));

    // One column: Left and Right keep the selection.
    m_pGallery->SetRect(CRect(0, 0, 60, 100));
    m_pGallery->SetSelectedItem(2);
    m_pGallery->OnHookKeyDown(VK_RIGHT, 0);
    EXPECT_EQ(2, m_pGallery->GetSelectedItem());
    m_pGallery->OnHookKeyDown(VK_LEFT, 0);
    EXPECT_EQ(2, m_pGallery->GetSelectedItem());

    // Not the bar's selected control: keys are not the gallery's.
    m_pPopup->m_nSelected = -1;
    EXPECT_FALSE(m_pGallery->OnHookKeyDown(VK_HOME, 0));
}

TEST_F(GalleryTest, HoverSelectsAndTooltipsNameTheItem)
{
    AddItems(3);
    m_pItems->GetItem(1)->SetToolTip("Number one");
    m_pGallery->SetRect(CRect(0, 0, 120, 60));
    m_pGallery->OnMouseMove(CPoint(45, 5));
    EXPECT_EQ(1, m_pGallery->GetSelectedItem());
    EXPECT_TRUE(m_pGallery->IsItemSelected());

    CPoint pt(45, 5);
    CRect rcTip;
    INT_PTR nHit = 0;
    EXPECT_STREQ("Number one", m_pGallery->GetTooltip(&pt, &rcTip, &nHit));
    EXPECT_EQ(CRect(40, 0, 80, 20), rcTip);
    EXPECT_EQ(102, (int)nHit) << "the item id + 1";
    pt = CPoint(45, 50);
    EXPECT_STREQ("", m_pGallery->GetTooltip(&pt, &rcTip, &nHit));

    m_pGallery->OnSetSelected(0);
    EXPECT_FALSE(m_pGallery->IsItemSelected()) << "leaving the control hides the selection";
}

TEST_F(GalleryTest, ScrollBarAndBordersShapeTheItemsRectangle)
{
    m_pGallery->ShowScrollBar(TRUE);
    m_pGallery->SetRect(CRect(10, 10, 130, 70));
    int cxBar = m_pGallery->GetGalleryPaintManager()->m_cxVScroll;
    EXPECT_EQ(CRect(10, 10, 130 - cxBar, 70), m_pGallery->GetItemsRect());
    CRect rcBar;
    m_pGallery->GetScrollBarRect(&rcBar);
    EXPECT_EQ(CRect(130 - cxBar, 10, 130, 70), rcBar);

    m_pGallery->ShowBorders(TRUE);
    m_pGallery->SetGalleryMargin(CRect(2, 3, 4, 5));
    EXPECT_EQ(CRect(13, 14, 130 - cxBar - 5, 64), m_pGallery->GetItemsRect());
    m_pGallery->GetScrollBarRect(&rcBar);
    EXPECT_EQ(CRect(129 - cxBar, 11, 129, 69), rcBar);

    // A following control on the popup: a separator below, two pixels.
    m_pGallery->ShowBorders(FALSE);
    m_pGallery->SetGalleryMargin(CRect(0, 0, 0, 0));
    m_pPopup->GetControls()->Add(xtpControlButton, 501);
    EXPECT_TRUE(m_pGallery->IsShowBottomSeparator());
    EXPECT_EQ(68, m_pGallery->GetItemsRect().bottom);
    m_pGallery->GetScrollBarRect(&rcBar);
    EXPECT_EQ(68, rcBar.bottom);
}

TEST_F(GalleryTest, WithAPopupTheButtonsScrollOnlyWhileThereIsContentThatWay)
{
    AddItems(30);
    EXPECT_EQ(NULL, m_pGallery->GetCommandBar()) << "a gallery added by type comes without a drop-down";
    EXPECT_FALSE(m_pGallery->HasPopupBar());
    m_pGallery->ShowScrollBar(TRUE);
    m_pGallery->SetRect(CRect(0, 0, 136, 60));
    EXPECT_EQ(136 - ::GetSystemMetrics(SM_CXVSCROLL), m_pGallery->GetItemsRect().Width()) << "a scroll bar";

    // A popup bar turns the scroll bar into the buttons at once, before
    // the bar holds any control.
    CXTPPopupBar* pMore = CXTPPopupBar::CreatePopupBar(m_pFrame->GetCommandBars());
    m_pGallery->SetCommandBar(pMore);
    pMore->InternalRelease();
    EXPECT_TRUE(m_pGallery->HasPopupBar());
    EXPECT_EQ(120, m_pGallery->GetItemsRect().Width()) << "a 16 pixel button column";
    pMore->GetControls()->Add(xtpControlButton, 700);

    const SCROLLBARPOSINFO* pInfo = m_pGallery->GetScrollBarPosInfo();
    EXPECT_EQ(19, pInfo->pxUpArrow);
    EXPECT_EQ(38, pInfo->pxPopup);
    EXPECT_EQ(xtpScrollHitUp, m_pGallery->HitTest(125, 5));
    EXPECT_EQ(xtpScrollHitDown, m_pGallery->HitTest(125, 25));
    EXPECT_EQ(xtpScrollHitPopup, m_pGallery->HitTest(125, 45));

    EXPECT_FALSE(m_pGallery->IsScrollButtonEnabled(xtpScrollHitUp));
    EXPECT_TRUE(m_pGallery->IsScrollButtonEnabled(xtpScrollHitDown));
    m_pGallery->SetScrollPos(1000);
    EXPECT_TRUE(m_pGallery->IsScrollButtonEnabled(xtpScrollHitUp));
    EXPECT_FALSE(m_pGallery->IsScrollButtonEnabled(xtpScrollHitDown)) << "at the end of the content";
    m_pGallery->SetEnabled(FALSE);
    EXPECT_FALSE(m_pGallery->IsScrollButtonEnabled(xtpScrollHitPopup));
}

TEST_F(GalleryTest, ClonesShareTheItemsAndCopyTheSettings)
{
    AddItems(3);
    m_pGallery->ShowLabels(FALSE);
    m_pGallery->ShowBorders(TRUE);
    m_pGallery->SetGalleryMargin(CRect(1, 2, 3, 4));
    CXTPControlGallery* pClone = (CXTPControlGallery*)m_pGallery->Clone(FALSE);
    ASSERT_TRUE(pClone->IsKindOf(RUNTIME_CLASS(CXTPControlGallery)));
    EXPECT_EQ(m_pItems, pClone->GetItems());
    EXPECT_FALSE(pClone->IsShowLabels());
    EXPECT_TRUE(pClone->IsShowBorders());
    EXPECT_EQ(CRect(1, 2, 3, 4), pClone->GetGalleryMargin());
    pClone->InternalRelease();
    EXPECT_EQ(3, m_pItems->GetItemCount()) << "the items outlive the clone";
}

TEST_F(GalleryTest, RelayoutsAndPaintsLeakNoGdiObjects)
{
    m_pItems->AddLabel("Label");
    AddItems(40);
    m_pGallery->ShowScrollBar(TRUE);
    m_pGallery->ShowBorders(TRUE);
    testsupport::Canvas canvas(200, 200);
    m_pGallery->SetRect(CRect(0, 0, 150, 100));
    m_pGallery->Draw(canvas.DC());
    testsupport::GdiCensus before = testsupport::TakeGdiCensus();
    ASSERT_TRUE(before.bValid);
    for (int i = 0; i < 200; i++)
    {
        m_pGallery->SetRect(CRect(0, 0, 150 + (i % 3), 100));
        m_pGallery->SetScrollPos(i);
        m_pGallery->OnMouseMove(CPoint(i % 150, 10));
        m_pGallery->Draw(canvas.DC());
    }
    testsupport::GdiCensus after = testsupport::TakeGdiCensus();
    EXPECT_EQ(before.Total(), after.Total()) << before.Difference(after);
}

TEST_F(GalleryTest, AccessibilityListsTheItems)
{
    m_pItems->AddItem("&Red", 100);
    CXTPControlGalleryItem* pNameless = m_pItems->AddItem("", 101);
    pNameless->SetToolTip("Unnamed swatch");
    m_pItems->AddItem("Black && White", 102);
    m_pGallery->SetRect(CRect(0, 0, 120, 60));

    long nCount = 0;
    ASSERT_EQ(S_OK, m_pGallery->GetAccessibleChildCount(&nCount));
    EXPECT_EQ(3, nCount);

    VARIANT varSelf, varItem, varBad;
    varSelf.vt = VT_I4;
    varSelf.lVal = CHILDID_SELF;
    varItem.vt = VT_I4;
    varItem.lVal = 1;
    varBad.vt = VT_I4;
    varBad.lVal = 4;
    VARIANT varRole;
    ASSERT_EQ(S_OK, m_pGallery->GetAccessibleRole(varSelf, &varRole));
    EXPECT_EQ(ROLE_SYSTEM_LIST, varRole.lVal);
    ASSERT_EQ(S_OK, m_pGallery->GetAccessibleRole(varItem, &varRole));
    EXPECT_EQ(ROLE_SYSTEM_LISTITEM, varRole.lVal);
    EXPECT_EQ(E_INVALIDARG, m_pGallery->GetAccessibleRole(varBad, &varRole));

    // Names as the gallery gives them and as a client reads them: the
    // caption without its access key's '&' ("&&" is one '&'), else the tip.
    const wchar_t* const kNames[] = { L"Red", L"Unnamed swatch", L"Black & White" };
    for (long nItem = 1; nItem <= 3; nItem++)
    {
        varItem.lVal = nItem;
        BSTR bstrName = NULL;
        ASSERT_EQ(S_OK, m_pGallery->GetAccessibleName(varItem, &bstrName));
        EXPECT_STREQ(kNames[nItem - 1], bstrName) << "the gallery's own answer";
        ::SysFreeString(bstrName);
        ASSERT_EQ(S_OK, m_pGallery->GetAccessible()->get_accName(varItem, &bstrName));
        EXPECT_STREQ(kNames[nItem - 1], bstrName) << "read by a client";
        ::SysFreeString(bstrName);
    }
    varItem.lVal = 2;

    // Selecting the second item focuses it; the checked one is selected.
    // The popup that holds the gallery is not open: its items are not on
    // the screen.
    m_pGallery->SetCheckedItem(102);
    ASSERT_EQ(S_OK, m_pGallery->AccessibleSelect(SELFLAG_TAKEFOCUS, varItem));
    EXPECT_EQ(1, m_pGallery->GetSelectedItem());
    VARIANT varState;
    ASSERT_EQ(S_OK, m_pGallery->GetAccessibleState(varItem, &varState));
    EXPECT_EQ(STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSED | STATE_SYSTEM_INVISIBLE,
              varState.lVal);
    varItem.lVal = 3;
    ASSERT_EQ(S_OK, m_pGallery->GetAccessibleState(varItem, &varState));
    EXPECT_EQ(STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_SELECTED | STATE_SYSTEM_INVISIBLE,
              varState.lVal);
    EXPECT_EQ(E_INVALIDARG, m_pGallery->AccessibleSelect(SELFLAG_TAKEFOCUS, varBad));
}

TEST_F(GalleryTest, ComboBoxTakesTheGallerysSelection)
{
    m_pItems->AddItem("Red");
    m_pItems->AddItem("Green");
    m_pItems->AddItem("Grey");
    CXTPToolBar* pBar = m_pFrame->AddToolBar("Combo", {});
    CXTPControlComboBox* pCombo = (CXTPControlComboBox*)pBar->GetControls()->Add(xtpControlComboBox, 300);
    CXTPControlComboBoxGalleryPopupBar* pDropDown = new CXTPControlComboBoxGalleryPopupBar();
    pDropDown->SetCommandBars(m_pFrame->GetCommandBars());
    CXTPControlGallery* pGallery = (CXTPControlGallery*)pDropDown->GetControls()->Add(new CXTPControlGallery(), 301);
    pGallery->SetItems(m_pItems);
    pCombo->SetCommandBar(pDropDown);
    pDropDown->InternalRelease();
    pDropDown->SetControlPopup(pCombo);
    ASSERT_EQ(pCombo, pDropDown->GetComboBox());
    EXPECT_EQ(pDropDown, pCombo->GetComboPopupBar());

    pDropDown->SetCurSel(2);
    EXPECT_EQ(2, pDropDown->GetCurSel());
    m_pFrame->m_arrNotifications.clear();
    pDropDown->TakeSelection();
    EXPECT_STREQ("Grey", pCombo->GetEditText());
    ASSERT_FALSE(m_pFrame->m_arrNotifications.empty());
    EXPECT_EQ((UINT)XTP_CBN_SELCHANGE, m_pFrame->m_arrNotifications.front());
    pDropDown->SetControlPopup(NULL);
}

TEST_F(GalleryTest, ItemsRemovedWhileTheGalleryIsOffItsBarLeaveNoStalePositions)
{
    AddItems(6);
    m_pGallery->SetRect(CRect(0, 0, 120, 60));
    ASSERT_EQ(6, (int)m_pGallery->GetItemPositions().GetSize());
    CXTPCommandBar* pParent = m_pGallery->GetParent();
    m_pGallery->SetParent(NULL);
    m_pItems->RemoveAll();
    EXPECT_EQ(0, (int)m_pGallery->GetItemPositions().GetSize());
    EXPECT_EQ(-1, m_pGallery->HitTestItem(CPoint(5, 5)));
    testsupport::Canvas canvas(120, 60);
    m_pGallery->SetParent(pParent);
    m_pGallery->Draw(canvas.DC());    // draws the background only
    EXPECT_EQ(0, (int)m_pGallery->GetItemPositions().GetSize());
}

TEST_F(GalleryTest, SettingsRoundTripThroughAnArchive)
{
    m_pGallery->ShowLabels(FALSE);
    m_pGallery->ShowBorders(FALSE);
    m_pGallery->ShowScrollBar(TRUE);
    m_pGallery->SetGalleryMargin(CRect(1, 2, 3, 4));
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        CXTPPropExchangeArchive px(ar);
        m_pGallery->DoPropExchange(&px);
        ar.Close();
    }
    file.SeekToBegin();
    CXTPControlGallery loaded;
    {
        CArchive ar(&file, CArchive::load);
        CXTPPropExchangeArchive px(ar);
        loaded.DoPropExchange(&px);
        ar.Close();
    }
    EXPECT_FALSE(loaded.IsShowLabels());
    EXPECT_FALSE(loaded.IsShowBorders());
    EXPECT_TRUE(loaded.IsShowScrollBar());
    EXPECT_EQ(CRect(1, 2, 3, 4), loaded.GetGalleryMargin());
}

TEST_F(GalleryTest, ClickOnAnItemPressesItAndTheReleaseExecutes)
{
    AddItems(6);
    m_pGallery->SetRect(CRect(0, 0, 120, 60));
    m_pFrame->m_arrCommands.clear();
    m_pGallery->OnClick(FALSE, CPoint(45, 25));
    EXPECT_EQ(4, m_pGallery->GetSelectedItem());
    EXPECT_TRUE(m_pGallery->m_bPressed);
    m_pGallery->OnLButtonUp(CPoint(45, 25));
    EXPECT_FALSE(m_pGallery->m_bPressed);
    PumpMessages();
    ASSERT_EQ(1u, m_pFrame->m_arrCommands.size());
    EXPECT_EQ(500u, m_pFrame->m_arrCommands[0]) << "the gallery's command; the item is its selection";

    // From the keyboard a click does nothing; a disabled gallery takes none.
    m_pGallery->m_bPressed = FALSE;
    m_pGallery->OnClick(TRUE, CPoint(5, 5));
    EXPECT_FALSE(m_pGallery->m_bPressed);
    m_pGallery->SetEnabled(FALSE);
    m_pGallery->OnClick(FALSE, CPoint(5, 5));
    EXPECT_FALSE(m_pGallery->m_bPressed);
}
