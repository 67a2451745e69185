// Galleries on the ribbon: the ribbon theme's scroll-bar style, a gallery
// with its up, down and "more" buttons inside a ribbon group (snapshot), its
// buttons scrolling it, no GDI or window growth over relayouts, tab
// switches and popups, and what a screen reader in another program meets
// in and around them.
// ctest: run-serial
#include "ribbon_testframe.h"

#include "XTPControlGallery.h"
#include "XTPControlGalleryOffice2007Theme.h"
#include "XTPPopupBar.h"
#include "XTPRibbonGroups.h"
#include "resource.h"
#include "support/gdi_count.h"
#include "support/mouseinput.h"
#include "support/screenreader.h"

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

using namespace ribbontest;

// Points print as their coordinates in failure messages.
void PrintTo(const CPoint& pt, std::ostream* os)
{
    *os << "(" << pt.x << ", " << pt.y << ")";
}

namespace
{
using testsupport::MouseInput;

class RibbonGalleryTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_nLive = LiveObjects();
        m_pFrame = new CRibbonFrame();
        ASSERT_TRUE(m_pFrame->CreateRibbonFrame(CRect(20, 20, 900, 420), TRUE));
        m_pFrame->SetForegroundWindow();
        m_pRibbon = m_pFrame->GetRibbon();
        m_pFrame->BuildSample();

        m_pItems = new CXTPControlGalleryItems();
        m_pItems->SetItemSize(CSize(32, 22));
        for (int i = 0; i < 24; i++)
            m_pItems->AddItem(new SwatchItem(RGB(40 + (i * 37) % 200, 60 + (i * 71) % 180, 90 + (i * 23) % 160)),
                              2100 + i);
        CXTPRibbonGroup* pGroup = m_pRibbon->GetTab(0)->AddGroup(_T("Shading"), 14);
        m_pGallery = new CXTPControlGallery();
        pGroup->Add(m_pGallery, 2095);
        m_pGallery->SetItems(m_pItems);
        m_pGallery->SetWidth(6 * 32 + 18);     // borders and the 16 pixel button column
        m_pGallery->SetHeight(3 * 22);
        m_pGallery->ShowBorders(TRUE);
        m_pGallery->ShowLabels(FALSE);
        CXTPPopupBar* pMore = CXTPPopupBar::CreatePopupBar(m_pFrame->GetCommandBars());
        pMore->GetControls()->Add(xtpControlButton, 2096)->SetCaption(_T("More Shades..."));
        m_pGallery->SetCommandBar(pMore);
        pMore->InternalRelease();
        m_pFrame->Settle();
    }
    void TearDown() override
    {
        XTPMouseManager()->CloseAllTracked();
        m_pFrame->DestroyRibbonFrame();
        m_pItems->InternalRelease();
        PumpAndIdle();
        EXPECT_EQ(m_nLive, LiveObjects());
    }
    // Moves the frame well away from the screen's corner, so that a
    // coordinate converted twice lands visibly elsewhere.
    void MoveFrameTo(int x, int y)
    {
        m_pFrame->SetWindowPos(NULL, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        m_pFrame->Settle();
    }
    // A real left click at a point of a bar's client area.
    static void ClickAt(CWnd* pBar, CPoint pt)
    {
        pBar->ClientToScreen(&pt);
        ::SetCursorPos(pt.x, pt.y);
        PumpAndIdle();
        testsupport::SendInputs({ MouseInput(MOUSEEVENTF_LEFTDOWN), MouseInput(MOUSEEVENTF_LEFTUP) });
    }
    // The middle of a gallery's "more" button, in its bar's client area.
    static CPoint MoreButtonPoint(CXTPControlGallery* pGallery)
    {
        pGallery->CalcScrollBar();
        const SCROLLBARPOSINFO* pInfo = pGallery->GetScrollBarPosInfo();
        return CPoint((pInfo->rc.left + pInfo->rc.right) / 2, (pInfo->pxPopup + pInfo->rc.bottom) / 2);
    }
    // Where a gallery's drop-down belongs: its top-left corner at the
    // gallery's (left - 1, top), on the screen.
    static CPoint DropDownCorner(CXTPControlGallery* pGallery)
    {
        CPoint pt(pGallery->GetRect().left - 1, pGallery->GetRect().top);
        pGallery->GetParent()->ClientToScreen(&pt);
        return pt;
    }
    // The tracked popup opened by a control, NULL until it shows.
    static CXTPPopupBar* PopupOf(CXTPControl* pControl)
    {
        CXTPPopupBar* pPopup = TopTrackedPopup();
        return pPopup != NULL && pPopup->GetControlPopup() == pControl && pPopup->IsWindowVisible() ? pPopup
                                                                                                     : NULL;
    }

    CRibbonFrame* m_pFrame = NULL;
    CXTPRibbonBar* m_pRibbon = NULL;
    CXTPControlGallery* m_pGallery = NULL;
    CXTPControlGalleryItems* m_pItems = NULL;
    LONG m_nLive = 0;
};
} // namespace

TEST(RibbonThemeGalleryTest, TheRibbonThemeDrawsLightScrollBarsWithTheOffice2007Painter)
{
    CXTPPaintManager::SetTheme(xtpThemeRibbon);
    CXTPPaintManager* pTheme = CXTPPaintManager::GetGlobalPaintManager();
    EXPECT_EQ(6, pTheme->BaseTheme());
    EXPECT_TRUE(dynamic_cast<CXTPControlGalleryOffice2007Theme*>(pTheme->GetGalleryPaintManager()) != NULL);
    CXTPControlGallery gallery;
    EXPECT_EQ(5, gallery.GetScrollBarStyle());
    gallery.SetScrollBarStyle(3);
    EXPECT_EQ(3, gallery.GetScrollBarStyle()) << "the override wins";
    CXTPPaintManager::SetTheme(xtpThemeDefault);
}

TEST_F(RibbonGalleryTest, AGalleryInAGroupScrollsWithItsButtons)
{
    ASSERT_TRUE(m_pGallery->IsVisible());
    ASSERT_TRUE(m_pGallery->HasPopupBar());
    CRect rc = m_pGallery->GetRect();
    CXTPRibbonGroup* pGroup = m_pRibbon->GetTab(0)->GetGroups()->GetAt(4);
    ASSERT_TRUE(pGroup->IsVisible());
    CRect rcGroup = pGroup->GetRect();
    EXPECT_TRUE(rcGroup.left < rc.left && rc.right < rcGroup.right);
    EXPECT_EQ(6 * 32 + 18, rc.Width());
    EXPECT_EQ(6, (m_pGallery->GetItemsRect().Width()) / 32) << "six swatches a row";
    EXPECT_EQ(4 * 22, m_pGallery->GetContentHeight());

    // The down button scrolls by a row; at the end it no longer can.
    const SCROLLBARPOSINFO* pInfo = m_pGallery->GetScrollBarPosInfo();
    EXPECT_FALSE(m_pGallery->IsScrollButtonEnabled(xtpScrollHitUp));
    m_pGallery->DoScroll(SB_LINEDOWN, 0);
    EXPECT_EQ(22, m_pGallery->GetScrollPos());
    EXPECT_TRUE(m_pGallery->IsScrollButtonEnabled(xtpScrollHitDown));
    m_pGallery->DoScroll(SB_BOTTOM, 0);
    EXPECT_EQ(m_pGallery->GetContentHeight() - m_pGallery->GetItemsRect().Height(), m_pGallery->GetScrollPos());
    EXPECT_FALSE(m_pGallery->IsScrollButtonEnabled(xtpScrollHitDown));
    EXPECT_TRUE(m_pGallery->IsScrollButtonEnabled(xtpScrollHitUp));
    EXPECT_EQ(xtpScrollHitPopup, m_pGallery->HitTest(rc.right - 4, pInfo->pxPopup + 2));

    // Hover an item and draw the ribbon.
    m_pGallery->DoScroll(SB_TOP, 0);
    m_pGallery->OnMouseMove(CPoint(m_pGallery->GetItemsRect().left + 40, m_pGallery->GetItemsRect().top + 30));
    m_pGallery->SetCheckedItem(2102);
    // The whole bar is drawn again (the group came after the first layout).
    m_pRibbon->Redraw(NULL, FALSE);
    PumpAndIdle();
    EXPECT_TRUE(SaveScreenPicture(m_pFrame->m_hWnd, "ribbon_gallery"));
}

TEST_F(RibbonGalleryTest, RelayoutsTabSwitchesAndPopupsDoNotGrowGdiOrWindows)
{
    auto openMore = [this]() {
        m_pRibbon->SetCurSel(0);
        m_pFrame->Settle();
        m_pRibbon->SetTrackingMode(TRUE, FALSE);
        m_pRibbon->SetPopuped(m_pGallery->GetIndex());
        PumpAndIdle();
        XTPMouseManager()->CloseAllTracked();
        PumpAndIdle();
    };
    // The pointer rests away from the frame: no hover, hot control or
    // tooltip comes and goes on its own timers while the objects are counted.
    ::SetCursorPos(::GetSystemMetrics(SM_CXSCREEN) - 10, ::GetSystemMetrics(SM_CYSCREEN) - 10);
    PumpAndIdle();
    // The first rounds make what is cached, at each width the loop below
    // takes (the idle pass redraws each layout).
    for (int i = 0; i < 5; i++)
    {
        m_pFrame->SetWindowPos(NULL, 0, 0, 700 + i * 40, 400, SWP_NOMOVE | SWP_NOZORDER);
        m_pRibbon->SetCurSel(i % 3);
        m_pFrame->Settle();
        openMore();
    }
    m_pRibbon->SetCurSel(0);
    m_pFrame->Settle();
    // The objects themselves are counted, not the handle table's high-water
    // mark, which moves with the order in which slots were freed.
    testsupport::GdiCensus before = testsupport::TakeGdiCensus();
    ASSERT_TRUE(before.bValid);
    int nWindows = WindowCount();
    for (int i = 0; i < 200; i++)
    {
        m_pFrame->SetWindowPos(NULL, 0, 0, 700 + (i % 5) * 40, 400, SWP_NOMOVE | SWP_NOZORDER);
        m_pRibbon->SetCurSel(i % 3);
        m_pFrame->Settle();
        if (i % 20 == 0)
            openMore();
    }
    m_pRibbon->SetCurSel(0);
    m_pFrame->Settle();
    testsupport::GdiCensus after = testsupport::TakeGdiCensus();
    EXPECT_EQ(before.Total(), after.Total()) << before.Difference(after);
    EXPECT_EQ(nWindows, WindowCount());
}

TEST_F(RibbonGalleryTest, RealClicksOnTheButtonsAndADragOfTheThumbScroll)
{
    m_pRibbon->Redraw(NULL, FALSE);
    PumpAndIdle();
    // The down button: one row per click, the press ends with the release.
    const SCROLLBARPOSINFO* pInfo = m_pGallery->GetScrollBarPosInfo();
    CPoint ptDown((pInfo->rc.left + pInfo->rc.right) / 2, (pInfo->pxUpArrow + pInfo->pxPopup) / 2);
    m_pRibbon->ClientToScreen(&ptDown);
    ::SetCursorPos(ptDown.x, ptDown.y);
    PumpAndIdle();
    testsupport::SendInputs({ MouseInput(MOUSEEVENTF_LEFTDOWN), MouseInput(MOUSEEVENTF_LEFTUP) });
    EXPECT_TRUE(PumpUntil([this]() { return m_pGallery->GetScrollPos() == 22; })) << m_pGallery->GetScrollPos();
    EXPECT_FALSE(m_pGallery->IsTracking());
    EXPECT_EQ(NULL, ::GetCapture());
    EXPECT_EQ(0, XTPMouseManager()->GetLockCount());

    // Without a drop-down the gallery has a scroll bar; drag its thumb down.
    m_pGallery->SetCommandBar((CXTPCommandBar*)NULL);
    m_pGallery->SetHeight(3 * 22 + 30);
    m_pGallery->SetScrollPos(0);
    m_pFrame->Settle();
    m_pRibbon->Redraw(NULL, FALSE);
    PumpAndIdle();
    ASSERT_FALSE(m_pGallery->HasPopupBar());
    m_pGallery->CalcScrollBar();
    ASSERT_GT(pInfo->cpxThumb, 4);
    CPoint ptThumb((pInfo->rc.left + pInfo->rc.right) / 2, (pInfo->pxThumbTop + pInfo->pxThumbBottom) / 2);
    m_pRibbon->ClientToScreen(&ptThumb);
    // Just below the bar: still within the drag's reach, past the track's end.
    CPoint ptBarBottom(pInfo->rc.left, pInfo->rc.bottom);
    m_pRibbon->ClientToScreen(&ptBarBottom);
    ::SetCursorPos(ptThumb.x, ptThumb.y);
    PumpAndIdle();
    testsupport::SendInputs({ MouseInput(MOUSEEVENTF_LEFTDOWN),
           MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, ptThumb + CPoint(0, 4)),
           MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, CPoint(ptThumb.x, ptBarBottom.y + 10)),
           MouseInput(MOUSEEVENTF_LEFTUP) });
    int nEnd = m_pGallery->GetContentHeight() - m_pGallery->GetItemsRect().Height();
    EXPECT_TRUE(PumpUntil([this, nEnd]() { return m_pGallery->GetScrollPos() == nEnd && !m_pGallery->IsTracking(); }))
        << m_pGallery->GetScrollPos() << " of " << nEnd;
    EXPECT_EQ(NULL, ::GetCapture());
    EXPECT_EQ(0, XTPMouseManager()->GetLockCount());
}

TEST_F(RibbonGalleryTest, TheMoreButtonOpensTheDropDownOverTheGallery)
{
    MoveFrameTo(300, 200);
    m_pRibbon->Redraw(NULL, FALSE);
    PumpAndIdle();
    ClickAt(m_pRibbon, MoreButtonPoint(m_pGallery));
    ASSERT_TRUE(PumpUntil([this]() { return PopupOf(m_pGallery) != NULL; }));
    CXTPPopupBar* pMore = PopupOf(m_pGallery);
    CRect rcPopup;
    pMore->GetWindowRect(&rcPopup);
    EXPECT_EQ(DropDownCorner(m_pGallery), rcPopup.TopLeft());
    pMore->RedrawWindow();
    PumpAndIdle();
    EXPECT_TRUE(SaveScreenPicture(m_pFrame->m_hWnd, "ribbon_gallery_more"));

    // A click outside closes it.
    CRect rcFrame;
    m_pFrame->GetClientRect(&rcFrame);
    ClickAt(m_pFrame, CPoint(rcFrame.right - 20, rcFrame.bottom - 20));
    EXPECT_TRUE(PumpUntil([]() { return TopTrackedPopup() == NULL; }));
}

TEST_F(RibbonGalleryTest, InAReducedGroupsPopupTheMoreButtonOpensOverThatGallery)
{
    MoveFrameTo(300, 200);
    CXTPRibbonGroup* pGroup = m_pGallery->GetRibbonGroup();
    ASSERT_TRUE(pGroup != NULL);
    CRect rcFrame;
    m_pFrame->GetWindowRect(&rcFrame);
    for (int cx = rcFrame.Width(); cx >= 300 && !pGroup->IsReduced(); cx -= 20)
    {
        m_pFrame->SetWindowPos(NULL, 0, 0, cx, rcFrame.Height(), SWP_NOMOVE | SWP_NOZORDER);
        m_pFrame->Settle();
    }
    ASSERT_TRUE(pGroup->IsReduced());
    m_pRibbon->Redraw(NULL, FALSE);
    PumpAndIdle();

    // The group's button opens the group in a popup...
    CXTPControl* pButton = pGroup->GetControlGroupPopup();
    ASSERT_TRUE(pButton->IsVisible());
    ClickAt(m_pRibbon, pButton->GetRect().CenterPoint());
    ASSERT_TRUE(PumpUntil([pButton]() { return PopupOf(pButton) != NULL; }));
    CXTPPopupBar* pGroupPopup = PopupOf(pButton);
    CXTPControlGallery* pInPopup = NULL;
    for (int i = 0; i < pGroupPopup->GetControlCount() && pInPopup == NULL; i++)
        pInPopup = DYNAMIC_DOWNCAST(CXTPControlGallery, pGroupPopup->GetControl(i));
    ASSERT_TRUE(pInPopup != NULL);
    ASSERT_TRUE(pInPopup->HasPopupBar());
    pGroupPopup->RedrawWindow();
    PumpAndIdle();

    // ...whose gallery opens its drop-down over itself.
    ClickAt(pGroupPopup, MoreButtonPoint(pInPopup));
    ASSERT_TRUE(PumpUntil([pInPopup]() { return PopupOf(pInPopup) != NULL; }));
    CRect rcPopup;
    PopupOf(pInPopup)->GetWindowRect(&rcPopup);
    EXPECT_EQ(DropDownCorner(pInPopup), rcPopup.TopLeft());
    PopupOf(pInPopup)->RedrawWindow();
    PumpAndIdle();
    EXPECT_TRUE(SaveScreenPicture(m_pFrame->m_hWnd, "ribbon_gallery_more_in_group_popup"));

    // Escape closes the drop-down, then the group's popup.
    ::keybd_event(VK_ESCAPE, 0, 0, 0);
    ::keybd_event(VK_ESCAPE, 0, KEYEVENTF_KEYUP, 0);
    EXPECT_TRUE(PumpUntil([pInPopup]() { return PopupOf(pInPopup) == NULL; }));
}

TEST_F(RibbonGalleryTest, AGalleryShowsItsButtonsFromTheMomentItGetsAPopupBar)
{
    // Added by type, a gallery has no drop-down: a scroll bar.
    CXTPRibbonGroup* pGroup = m_pRibbon->GetTab(0)->AddGroup(_T("Patterns"), 15);
    CXTPControlGallery* pGallery = (CXTPControlGallery*)pGroup->Add(xtpControlGallery, 2097);
    ASSERT_TRUE(pGallery->IsKindOf(RUNTIME_CLASS(CXTPControlGallery)));
    pGallery->SetItems(m_pItems);
    pGallery->SetWidth(4 * 32 + 18);
    pGallery->SetHeight(3 * 22);
    pGallery->ShowBorders(TRUE);
    m_pFrame->Settle();
    EXPECT_EQ(NULL, pGallery->GetCommandBar());
    EXPECT_FALSE(pGallery->HasPopupBar());
    int cxScrollBar = ::GetSystemMetrics(SM_CXVSCROLL);
    EXPECT_EQ(pGallery->GetRect().Width() - 2 - cxScrollBar, pGallery->GetItemsRect().Width());

    // An empty popup bar already makes it a drop-down with its buttons...
    CXTPPopupBar* pMore = CXTPPopupBar::CreatePopupBar(m_pFrame->GetCommandBars());
    pGallery->SetCommandBar(pMore);
    pMore->InternalRelease();
    EXPECT_TRUE(pGallery->HasPopupBar());
    EXPECT_EQ(pGallery->GetRect().Width() - 2 - 16, pGallery->GetItemsRect().Width());
    m_pRibbon->Redraw(NULL, FALSE);
    PumpAndIdle();
    EXPECT_TRUE(SaveScreenPicture(m_pFrame->m_hWnd, "ribbon_gallery_buttons_before_popup_controls"));

    // ...whose "more" button opens what the bar holds by then.
    pMore->GetControls()->Add(xtpControlButton, 2098)->SetCaption(_T("More Patterns..."));
    ClickAt(m_pRibbon, MoreButtonPoint(pGallery));
    ASSERT_TRUE(PumpUntil([pGallery]() { return PopupOf(pGallery) != NULL; }));
    CRect rcPopup;
    pMore->GetWindowRect(&rcPopup);
    EXPECT_EQ(DropDownCorner(pGallery), rcPopup.TopLeft());
    XTPMouseManager()->CloseAllTracked();
    PumpAndIdle();
}

// The reader's run of this program (support/screenreader.h): it serves the
// test that started it and is skipped in the program's own runs.
TEST(RibbonReader, Serve)
{
    if (!testsupport::IsReaderRun())
        GTEST_SKIP() << "run as the reader by the screen-reader tests";
    EXPECT_EQ(0, testsupport::ServeAsReader());
}

namespace
{
using testsupport::ReaderObject;

// The last focus event among those the reader saw.
ReaderObject LastFocus(const std::vector<ReaderObject>& events)
{
    for (auto it = events.rbegin(); it != events.rend(); ++it)
        if (it->IsFocus())
            return *it;
    return ReaderObject();
}

// A gallery item's place on the screen.
CRect ItemOnScreen(CXTPControlGallery* pGallery, int nItem)
{
    CRect rc = pGallery->GetItemDrawRect(nItem);
    pGallery->GetParent()->ClientToScreen(&rc);
    return rc;
}

bool IsEmptyPlace(const ReaderObject& o)
{
    return FAILED(o.hrLocation) || ::IsRectEmpty(&o.rcLocation);
}
} // namespace

// A screen reader in another program: every event the toolkit raises while
// the reader selects swatches of the Shading gallery, opens the Styles menu
// by its default action and moves in its gallery with the keyboard resolves
// to the object and child it is about, and the focus ends where the keyboard
// is (on the gallery's item, not the menu's title). No name carries an
// access key's '&'. The controls of a tab not selected, of a collapsed group
// and of a closed menu are invisible and have no place on the screen.
TEST_F(RibbonGalleryTest, AScreenReaderInAnotherProgramFollowsEveryEventToWhatItIsAbout)
{
    m_pGallery->SetCaption(_T("Shading"));
    CXTPRibbonGroup* pShading = m_pGallery->GetRibbonGroup();
    ASSERT_TRUE(pShading != NULL);
    CXTPControlPopup* pStyles = (CXTPControlPopup*)pShading->Add(xtpControlPopup, 2097, _T("&Styles"));
    CXTPPopupBar* pStylesBar = CXTPPopupBar::CreatePopupBar(m_pFrame->GetCommandBars());
    CXTPControlGallery* pStyleGallery = new CXTPControlGallery();
    pStylesBar->GetControls()->Add(pStyleGallery, 2098);
    CXTPControlGalleryItems* pStyleItems = new CXTPControlGalleryItems();
    pStyleItems->SetItemSize(CSize(0, 20));
    pStyleItems->AddItem(_T("&Normal"), 2110);
    pStyleItems->AddItem(_T("Heading &1"), 2111);
    pStyleItems->AddItem(_T("Title && Subtitle"), 2112);
    pStyleGallery->SetItems(pStyleItems);
    pStyleItems->InternalRelease();
    pStyleGallery->SetWidth(160);
    pStyleGallery->SetHeight(3 * 20 + 4);
    pStyleGallery->ShowLabels(FALSE);
    pStyles->SetCommandBar(pStylesBar);
    pStylesBar->InternalRelease();
    m_pRibbon->EnableFrameTheme(TRUE);
    m_pFrame->Settle();

    testsupport::ScreenReader reader("RibbonReader.Serve", [] { PumpAndIdle(); });
    ASSERT_TRUE(reader.IsReady()) << "the reader did not start or could not hook the events";
    std::vector<ReaderObject> all = reader.TakeEvents();
    auto take = [&] {
        std::vector<ReaderObject> events = reader.TakeEvents();
        all.insert(all.end(), events.begin(), events.end());
        return events;
    };
    const HWND hRibbon = m_pRibbon->m_hWnd;
    const LONG nShading = m_pGallery->GetIndex() + 1;

    // accSelect and then the default action on Shading swatches.
    EXPECT_EQ(S_OK, reader.Select(hRibbon, nShading, 6, SELFLAG_TAKEFOCUS).hr);
    EXPECT_EQ(5, m_pGallery->GetSelectedItem());
    ReaderObject focus = LastFocus(take());
    EXPECT_EQ(ROLE_SYSTEM_LISTITEM, focus.nRole);
    EXPECT_EQ(6, focus.nResolvedChild);
    EXPECT_EQ(L"Shading", focus.strObjectName);
    EXPECT_EQ(ItemOnScreen(m_pGallery, 5), CRect(focus.rcLocation));
    EXPECT_EQ(S_OK, reader.DoDefaultAction(hRibbon, nShading, 9).hr);
    EXPECT_TRUE(PumpUntil([this] { return m_pGallery->GetSelectedItem() == 8; }));
    focus = LastFocus(take());
    EXPECT_EQ(ROLE_SYSTEM_LISTITEM, focus.nRole);
    EXPECT_EQ(9, focus.nResolvedChild);
    EXPECT_EQ(L"Shading", focus.strObjectName);
    EXPECT_EQ(ItemOnScreen(m_pGallery, 8), CRect(focus.rcLocation));

    // The default action on the Styles title opens its menu from the
    // keyboard: the focus ends on the gallery's first style, as the keyboard.
    const LONG nStyles = pStyles->GetIndex() + 1;
    ReaderObject title = reader.Read(hRibbon, nStyles, CHILDID_SELF);
    EXPECT_EQ(L"Styles", title.strName);
    EXPECT_EQ(S_OK, reader.DoDefaultAction(hRibbon, nStyles, CHILDID_SELF).hr);
    ASSERT_TRUE(PumpUntil([pStyles] { return PopupOf(pStyles) != NULL; })) << "the menu did not open";
    std::vector<ReaderObject> opening = take();
    focus = LastFocus(opening);
    EXPECT_EQ(pStylesBar->m_hWnd, focus.hWnd);
    EXPECT_EQ(ROLE_SYSTEM_LISTITEM, focus.nRole)
        << "the focus ends on " << std::string(focus.strName.begin(), focus.strName.end());
    EXPECT_EQ(L"Normal", focus.strName);
    EXPECT_EQ(0, pStyleGallery->GetSelectedItem());
    EXPECT_TRUE(std::any_of(opening.begin(), opening.end(), [](const ReaderObject& o) {
        return o.dwEvent == EVENT_SYSTEM_MENUPOPUPSTART && o.nObjectRole == ROLE_SYSTEM_MENUPOPUP;
    }));

    // Down moves to the next style; the names have no '&' ("&&" reads '&').
    RealKey(VK_DOWN);
    focus = LastFocus(take());
    EXPECT_EQ(ROLE_SYSTEM_LISTITEM, focus.nRole);
    EXPECT_EQ(2, focus.nResolvedChild);
    EXPECT_EQ(L"Heading 1", focus.strName);
    EXPECT_EQ(ItemOnScreen(pStyleGallery, 1), CRect(focus.rcLocation));
    EXPECT_EQ(L"Title & Subtitle", reader.Read(pStylesBar->m_hWnd, pStyleGallery->GetIndex() + 1, 3).strName);
    // The gallery gives the names so itself.
    for (long nItem : { 1, 3 })
    {
        VARIANT varItem;
        varItem.vt = VT_I4;
        varItem.lVal = nItem;
        BSTR bstrName = NULL;
        ASSERT_EQ(S_OK, pStyleGallery->GetAccessibleName(varItem, &bstrName));
        EXPECT_STREQ(nItem == 1 ? L"Normal" : L"Title & Subtitle", bstrName);
        ::SysFreeString(bstrName);
    }
    RealKey(VK_ESCAPE);
    RealKey(VK_ESCAPE);
    XTPMouseManager()->CloseAllTracked();
    PumpAndIdle();

    // No name of the ribbon's controls keeps an '&'; the frame's caption
    // buttons are named after the system menu's commands.
    std::vector<std::wstring> buttons;
    for (int i = 0; i < m_pRibbon->GetControlCount(); i++)
    {
        CXTPControl* pControl = m_pRibbon->GetControl(i);
        ReaderObject o = reader.Read(hRibbon, i + 1, CHILDID_SELF);
        EXPECT_EQ(std::wstring::npos, o.strName.find(L'&')) << std::string(o.strName.begin(), o.strName.end());
        if (pControl->GetID() == SC_CLOSE || pControl->GetID() == SC_MAXIMIZE || pControl->GetID() == SC_RESTORE ||
            pControl->GetID() == SC_MINIMIZE)
            buttons.push_back(o.strName);
    }
    std::sort(buttons.begin(), buttons.end());
    EXPECT_EQ((std::vector<std::wstring>{ L"Close", L"Maximize", L"Minimize" }), buttons);

    // The reader switches to Insert, then back to Home, by the tabs' default
    // action: the focus follows to the tab. With Insert selected, Home's
    // gallery, its swatches and its other controls are not on the screen,
    // whichever way the reader asks.
    const LONG nTabs = m_pRibbon->GetControlTab()->GetIndex() + 1;
    for (int nTab : { 1, 0 })
    {
        SCOPED_TRACE(nTab == 1 ? "Insert selected" : "Home selected again");
        const bool bShown = nTab == 0;
        EXPECT_EQ(S_OK, reader.DoDefaultAction(hRibbon, nTabs, nTab + 1).hr);
        EXPECT_TRUE(PumpUntil([&] { return m_pRibbon->GetSelectedTab() == m_pRibbon->GetTab(nTab); }));
        m_pFrame->Settle();
        focus = LastFocus(take());
        EXPECT_EQ(ROLE_SYSTEM_PAGETAB, focus.nRole);
        EXPECT_EQ(nTab == 0 ? L"Home" : L"Insert", focus.strName);
        ReaderObject swatch = reader.Read(hRibbon, nShading, 4);
        ReaderObject gallery = reader.Read(hRibbon, nShading, CHILDID_SELF);
        ReaderObject child = reader.Read(hRibbon, OBJID_CLIENT, nShading);
        ReaderObject styles = reader.Read(hRibbon, OBJID_CLIENT, nStyles);
        for (const ReaderObject* p : { &swatch, &gallery, &child, &styles })
        {
            EXPECT_EQ(!bShown, (p->nState & STATE_SYSTEM_INVISIBLE) != 0) << "state 0x" << std::hex << p->nState;
            EXPECT_EQ(!bShown, IsEmptyPlace(*p));
        }
        if (bShown)
            EXPECT_EQ(ItemOnScreen(m_pGallery, 3), CRect(swatch.rcLocation));
    }

    // The closed Styles menu's gallery and items are not on the screen.
    ReaderObject closed = reader.Read(pStylesBar->m_hWnd, pStyleGallery->GetIndex() + 1, 2);
    EXPECT_NE(0, closed.nState & STATE_SYSTEM_INVISIBLE);
    EXPECT_TRUE(IsEmptyPlace(closed));

    // Narrowed, the ribbon collapses groups into single buttons: a collapsed
    // group's controls are not on the screen, its button is.
    m_pFrame->SetWindowPos(NULL, 0, 0, 300, 420, SWP_NOMOVE | SWP_NOZORDER);
    m_pFrame->Settle();
    CXTPRibbonGroup* pReduced = NULL;
    for (int g = 0; g < m_pRibbon->GetTab(0)->GetGroups()->GetCount() && pReduced == NULL; g++)
        if (m_pRibbon->GetTab(0)->GetGroups()->GetAt(g)->IsReduced())
            pReduced = m_pRibbon->GetTab(0)->GetGroups()->GetAt(g);
    ASSERT_TRUE(pReduced != NULL) << "no group collapsed";
    ReaderObject inside = reader.Read(hRibbon, pReduced->GetAt(0)->GetIndex() + 1, CHILDID_SELF);
    EXPECT_NE(0, inside.nState & STATE_SYSTEM_INVISIBLE);
    EXPECT_TRUE(IsEmptyPlace(inside));
    ReaderObject button =
        reader.Read(hRibbon, ((CXTPControl*)pReduced->GetControlGroupPopup())->GetIndex() + 1, CHILDID_SELF);
    EXPECT_EQ(0, button.nState & STATE_SYSTEM_INVISIBLE);
    EXPECT_FALSE(IsEmptyPlace(button));

    // Every event resolved, to an object that answers.
    take();
    EXPECT_GE(all.size(), 8u);
    for (const ReaderObject& o : all)
    {
        EXPECT_EQ(S_OK, o.hr) << "event 0x" << std::hex << o.dwEvent << " object " << std::dec << o.nObjectId
                              << " child " << o.nChildId << " does not resolve";
        EXPECT_NE(0, o.nRole) << "event 0x" << std::hex << o.dwEvent << " object " << std::dec << o.nObjectId
                              << " child " << o.nChildId << " resolves to nothing that answers";
    }
}
