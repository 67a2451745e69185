// The scroll logic of a windowless scroll bar: layout, hit tests, the
// position a thumb pixel stands for, the repeat of arrow presses (timer steps
// called directly, no timing), thumb drags and the modal loop's exits.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "XTPControlGalleryPaintManager.h"
#include "XTPDefaultTheme.h"
#include "XTPHookManager.h"
#include "XTPOffice2003Theme.h"
#include "XTPOffice2007Theme.h"
#include "XTPScrollBase.h"

namespace
{
// A host with a range of its own that records the commands it gets.
class TestScrollHost : public CXTPScrollBase
{
public:
    explicit TestScrollHost(CXTPPaintManager* pPaintManager) : m_pPaintManager(pPaintManager) {}

    BOOL IsScrollBarEnabled() const override { return TRUE; }
    CXTPCommandBar* GetParentWindow() const override { return NULL; }
    void GetScrollBarRect(RECT* pRect) override { *pRect = m_rcBar; }
    void GetScrollInfo(SCROLLINFO* psi) override
    {
        psi->nMin = m_nMin;
        psi->nMax = m_nMax;
        psi->nPage = m_nPage;
        psi->nPos = m_nPos;
    }
    void DoScroll(int cmd, int pos) override
    {
        m_commands.push_back(std::make_pair(cmd, pos));
        if (cmd == SB_LINEDOWN)
            m_nPos++;
        else if (cmd == SB_THUMBTRACK || cmd == SB_THUMBPOSITION)
            m_nPos = pos;
    }
    void RedrawScrollBar() override { m_nRedraws++; }
    CXTPControlGalleryPaintManager* GetScrollBarPaintManager() const override
    {
        return m_pPaintManager != NULL ? m_pPaintManager->GetGalleryPaintManager() : NULL;
    }

    void Layout(CRect rcBar, int nMin, int nMax, UINT nPage, int nPos)
    {
        m_rcBar = rcBar;
        m_nMin = nMin;
        m_nMax = nMax;
        m_nPage = nPage;
        m_nPos = nPos;
        CalcScrollBar();
    }
    const SCROLLBARPOSINFO& Info() { return *GetScrollBarPosInfo(); }

    CXTPPaintManager* m_pPaintManager;
    CRect m_rcBar;
    int m_nMin = 0, m_nMax = 0, m_nPos = 0;
    UINT m_nPage = 0;
    int m_nRedraws = 0;
    std::vector<std::pair<int, int>> m_commands;
};

// A theme that reports a theme id of its choosing.
class NumberedTheme : public CXTPOffice2007Theme
{
public:
    explicit NumberedTheme(int nTheme) : m_nTheme(nTheme) {}
    int BaseTheme() override { return m_nTheme; }
    int m_nTheme;
};

class ScrollBaseTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pTheme = new XTPPaintThemes::CXTPDefaultTheme();
        m_pTheme->GetGalleryPaintManager()->m_cyVScroll = 16;
        m_pHost = new TestScrollHost(m_pTheme);
        m_hWnd = ::CreateWindowExA(0, "STATIC", "track", WS_POPUP, 0, 0, 100, 200, NULL, NULL, NULL, NULL);
    }
    void TearDown() override
    {
        delete m_pHost;
        ::DestroyWindow(m_hWnd);
        m_pTheme->InternalRelease();
    }
    // The standard bar of the checks: 16 x 100, range 0-99, page 10.
    void StandardBar(int nPos = 0) { m_pHost->Layout(CRect(0, 0, 16, 100), 0, 99, 10, nPos); }

    CXTPPaintManager* m_pTheme = nullptr;
    TestScrollHost* m_pHost = nullptr;
    HWND m_hWnd = NULL;
};
} // namespace

TEST_F(ScrollBaseTest, LayoutPlacesArrowsThumbAndMovableRange)
{
    StandardBar();
    const SCROLLBARPOSINFO& info = m_pHost->Info();
    EXPECT_EQ(16, info.pxUpArrow);
    EXPECT_EQ(84, info.pxDownArrow);
    EXPECT_EQ(16, info.pxMin);
    EXPECT_EQ(16, info.pxThumbTop);
    EXPECT_EQ(24, info.pxThumbBottom);
    EXPECT_EQ(8, info.pxThumbLength) << "MulDiv(68, 10, 100) is 7, half an arrow is 8";
    EXPECT_EQ(60, info.cpxThumb);
    EXPECT_TRUE(info.fVert);

    StandardBar(90);
    EXPECT_EQ(76, m_pHost->Info().pxThumbTop) << "the last position puts the thumb at the end of the track";
    EXPECT_EQ(84, m_pHost->Info().pxThumbBottom);

    // A short bar: half-length arrows and no track.
    m_pHost->Layout(CRect(0, 0, 16, 20), 0, 99, 10, 0);
    EXPECT_EQ(10, m_pHost->Info().pxUpArrow);
    EXPECT_EQ(10, m_pHost->Info().pxDownArrow);

    // Without a page the thumb is as long as an arrow; a range equal to the
    // page puts the thumb one pixel above the track.
    m_pHost->Layout(CRect(0, 0, 16, 100), 0, 99, 0, 0);
    EXPECT_EQ(16, m_pHost->Info().pxThumbLength);
    m_pHost->Layout(CRect(0, 0, 16, 100), 0, 9, 10, 0);
    EXPECT_EQ(15, m_pHost->Info().pxThumbTop);
}

TEST_F(ScrollBaseTest, DegenerateRangesNeverDivideByZero)
{
    // An empty range (max below min), a page longer than the range and a
    // zero-height bar all lay out to finite, ordered values.
    m_pHost->Layout(CRect(0, 0, 16, 100), 0, -1, 0, 0);
    EXPECT_LE(m_pHost->Info().pxThumbTop, m_pHost->Info().pxThumbBottom);
    m_pHost->Layout(CRect(0, 0, 16, 100), 0, 9, 50, 3);
    EXPECT_EQ(15, m_pHost->Info().pxThumbTop) << "nothing to scroll: the thumb is parked";
    m_pHost->Layout(CRect(0, 0, 16, 0), 0, 99, 10, 5);
    EXPECT_EQ(0, m_pHost->Info().pxUpArrow);
    int nPos = CXTPScrollBase::PosFromThumb(&m_pHost->Info(), 0);
    EXPECT_GE(nPos, 0);
    EXPECT_LE(nPos, 90);
}

TEST_F(ScrollBaseTest, HitTestsFindEachPart)
{
    StandardBar();
    EXPECT_EQ(xtpScrollHitUp, m_pHost->HitTest(5, 5));
    EXPECT_EQ(xtpScrollHitThumb, m_pHost->HitTest(5, 20));
    EXPECT_EQ(xtpScrollHitPageDown, m_pHost->HitTest(5, 30));
    EXPECT_EQ(xtpScrollHitDown, m_pHost->HitTest(5, 90));
    EXPECT_EQ(xtpScrollHitNone, m_pHost->HitTest(20, 30)) << "beside the bar";
    StandardBar(50);
    EXPECT_EQ(xtpScrollHitPageUp, m_pHost->HitTest(5, 30));
    // A popup button below the arrows answers its own code.
    m_pHost->GetScrollBarPosInfo()->pxPopup = 60;
    EXPECT_EQ(xtpScrollHitPopup, m_pHost->HitTest(5, 70));
}

TEST_F(ScrollBaseTest, ThumbPixelsMapToPositionsWithinTheScrollableRange)
{
    StandardBar();
    const SCROLLBARPOSINFO* pInfo = m_pHost->GetScrollBarPosInfo();
    EXPECT_EQ(45, CXTPScrollBase::PosFromThumb(pInfo, 46));
    EXPECT_EQ(0, CXTPScrollBase::PosFromThumb(pInfo, 3)) << "above the track";
    EXPECT_EQ(90, CXTPScrollBase::PosFromThumb(pInfo, 76)) << "the end of the track: max + 1 - page";
    EXPECT_EQ(90, CXTPScrollBase::PosFromThumb(pInfo, 500));

    // No movable range: the minimum, never min - 1.
    m_pHost->Layout(CRect(0, 0, 16, 20), 5, 99, 10, 5);
    SCROLLBARPOSINFO info = m_pHost->Info();
    info.cpxThumb = 0;
    info.pxMin = 10;
    EXPECT_EQ(5, CXTPScrollBase::PosFromThumb(&info, 9));
    EXPECT_EQ(90, CXTPScrollBase::PosFromThumb(&info, 10)) << "at the end: max + 1 - page";
    // No page: the end is max.
    info.page = 0;
    EXPECT_EQ(99, CXTPScrollBase::PosFromThumb(&info, 10));
}

TEST_F(ScrollBaseTest, StyleFollowsTheThemeUnlessOverridden)
{
    const int themes[4] = {0, 2, 5, 6};
    const int styles[4] = {2, 3, 5, 5};
    for (int i = 0; i < 4; i++)
    {
        NumberedTheme* pTheme = new NumberedTheme(themes[i]);
        TestScrollHost host(pTheme);
        EXPECT_EQ(styles[i], host.GetScrollBarStyle()) << "theme " << themes[i];
        host.SetScrollBarStyle(6);
        EXPECT_EQ(6, host.GetScrollBarStyle()) << "the override wins";
        pTheme->InternalRelease();
    }
    TestScrollHost host(NULL);
    EXPECT_EQ(3, host.GetScrollBarStyle()) << "no painter";
}

TEST_F(ScrollBaseTest, HeldArrowRepeatsAfterTheFirstDelayThenFaster)
{
    StandardBar();
    const UINT nDouble = ::GetDoubleClickTime();
    ASSERT_TRUE(m_pHost->BeginTrack(m_hWnd, 5, 90, m_pHost->GetScrollBarPosInfo(), FALSE));
    SCROLLBARTRACKINFO* pTrack = m_pHost->GetScrollBarTrackInfo();
    ASSERT_NE(nullptr, pTrack);
    EXPECT_EQ((UINT)SB_LINEDOWN, pTrack->cmdSB);
    EXPECT_EQ(xtpScrollHitDown, m_pHost->Info().ht);
    ASSERT_EQ(1u, m_pHost->m_commands.size()) << "one scroll at the press";
    EXPECT_EQ(SB_LINEDOWN, m_pHost->m_commands[0].first);
    EXPECT_EQ(nDouble * 4 / 5, pTrack->nRepeatDelay);
    EXPECT_NE(0u, pTrack->hTimerSB);

    m_pHost->OnTrackTimerAt(CPoint(5, 90));
    EXPECT_EQ(2u, m_pHost->m_commands.size());
    EXPECT_EQ(nDouble / 10, pTrack->nRepeatDelay) << "then every tenth of the double-click time";
    m_pHost->OnTrackTimerAt(CPoint(5, 90));
    EXPECT_EQ(3u, m_pHost->m_commands.size());

    // Off the arrow: no repeat, one redraw for the change.
    int nRedraws = m_pHost->m_nRedraws;
    m_pHost->OnTrackMessage(WM_MOUSEMOVE, CPoint(5, 40));
    EXPECT_EQ(nRedraws + 1, m_pHost->m_nRedraws);
    m_pHost->OnTrackTimerAt(CPoint(5, 40));
    EXPECT_EQ(3u, m_pHost->m_commands.size());

    // Back on it: a scroll at once, at the fast period.
    pTrack->nRepeatDelay = 0;
    m_pHost->OnTrackMessage(WM_MOUSEMOVE, CPoint(5, 95));
    EXPECT_EQ(4u, m_pHost->m_commands.size());
    EXPECT_EQ(nDouble / 10, pTrack->nRepeatDelay);

    m_pHost->OnTrackMessage(WM_LBUTTONUP, CPoint(5, 95));
    EXPECT_EQ(SB_ENDSCROLL, m_pHost->m_commands.back().first);
    EXPECT_EQ(0u, pTrack->hTimerSB) << "the timer is gone";
    m_pHost->FinishTrack();
    EXPECT_EQ(nullptr, m_pHost->GetScrollBarTrackInfo());
}

TEST_F(ScrollBaseTest, PagePartFollowsTheThumb)
{
    StandardBar();
    ASSERT_TRUE(m_pHost->BeginTrack(m_hWnd, 5, 60, m_pHost->GetScrollBarPosInfo(), FALSE));
    EXPECT_EQ((UINT)SB_PAGEDOWN, m_pHost->GetScrollBarTrackInfo()->cmdSB);
    EXPECT_EQ(24, m_pHost->GetScrollBarTrackInfo()->rcTrack.top);
    // The thumb moves down past the cursor: the page part shrinks below it
    // and the repeat stops.
    m_pHost->GetScrollBarPosInfo()->pxThumbTop = 58;
    m_pHost->GetScrollBarPosInfo()->pxThumbBottom = 66;
    size_t nCommands = m_pHost->m_commands.size();
    m_pHost->OnTrackTimerAt(CPoint(5, 60));
    EXPECT_EQ(66, m_pHost->GetScrollBarTrackInfo()->rcTrack.top);
    EXPECT_EQ(nCommands, m_pHost->m_commands.size());
    m_pHost->EndTracking();
    m_pHost->FinishTrack();
}

TEST_F(ScrollBaseTest, ThumbDragTracksSnapsBackFarSidewaysAndEndsWithPositionAndEnd)
{
    StandardBar();
    ASSERT_TRUE(m_pHost->BeginTrack(m_hWnd, 5, 20, m_pHost->GetScrollBarPosInfo(), FALSE));
    SCROLLBARTRACKINFO* pTrack = m_pHost->GetScrollBarTrackInfo();
    EXPECT_TRUE(pTrack->bTrackThumb);
    EXPECT_EQ((UINT)SB_THUMBTRACK, pTrack->cmdSB);
    EXPECT_EQ(-4, pTrack->dpxThumb) << "the grip point: 4 pixels into the thumb";
    // 8 bar widths to each side.
    EXPECT_EQ(-128, pTrack->rcTrack.left);
    EXPECT_EQ(144, pTrack->rcTrack.right);
    ASSERT_EQ(1u, m_pHost->m_commands.size());
    EXPECT_EQ(std::make_pair((int)SB_THUMBTRACK, 0), m_pHost->m_commands[0]);

    m_pHost->OnTrackMessage(WM_MOUSEMOVE, CPoint(5, 50));
    EXPECT_EQ(46, m_pHost->Info().pxThumbTop);
    EXPECT_EQ(std::make_pair((int)SB_THUMBTRACK, 45), m_pHost->m_commands.back());

    m_pHost->OnTrackMessage(WM_MOUSEMOVE, CPoint(150, 50));
    EXPECT_EQ(16, m_pHost->Info().pxThumbTop) << "far sideways the thumb returns to the drag start";
    EXPECT_EQ(std::make_pair((int)SB_THUMBTRACK, 0), m_pHost->m_commands.back());

    m_pHost->OnTrackMessage(WM_MOUSEMOVE, CPoint(140, 50));
    EXPECT_EQ(std::make_pair((int)SB_THUMBTRACK, 45), m_pHost->m_commands.back()) << "back in range: from the grip";

    m_pHost->OnTrackMessage(WM_MOUSEMOVE, CPoint(5, 120));
    EXPECT_EQ(std::make_pair((int)SB_THUMBTRACK, 90), m_pHost->m_commands.back()) << "clamped to the track end";

    size_t nBefore = m_pHost->m_commands.size();
    m_pHost->OnTrackMessage(WM_LBUTTONUP, CPoint(5, 120));
    ASSERT_EQ(nBefore + 2, m_pHost->m_commands.size());
    EXPECT_EQ(std::make_pair((int)SB_THUMBPOSITION, 90), m_pHost->m_commands[nBefore]);
    EXPECT_EQ(SB_ENDSCROLL, m_pHost->m_commands[nBefore + 1].first);
    m_pHost->FinishTrack();
}

TEST_F(ScrollBaseTest, DirectPagePressCentresTheThumbOnTheCursor)
{
    StandardBar();
    ASSERT_TRUE(m_pHost->BeginTrack(m_hWnd, 5, 60, m_pHost->GetScrollBarPosInfo(), TRUE));
    EXPECT_TRUE(m_pHost->GetScrollBarTrackInfo()->bTrackThumb);
    EXPECT_EQ(56, m_pHost->Info().pxThumbTop) << "thumb centred on y 60";
    m_pHost->EndTracking();
    m_pHost->FinishTrack();
}

TEST_F(ScrollBaseTest, AThumbThatFillsTheTrackCannotBeDragged)
{
    // Arrows of 16 leave a track of 8, as long as the thumb.
    m_pHost->Layout(CRect(0, 0, 16, 40), 0, 99, 10, 0);
    ASSERT_EQ(xtpScrollHitThumb, m_pHost->HitTest(5, 18));
    EXPECT_FALSE(m_pHost->BeginTrack(m_hWnd, 5, 18, m_pHost->GetScrollBarPosInfo(), FALSE));
    EXPECT_EQ(nullptr, m_pHost->GetScrollBarTrackInfo());
    EXPECT_TRUE(m_pHost->m_commands.empty());
}

TEST_F(ScrollBaseTest, ModalLoopPassesQuitOnAndUnlocksTheMouse)
{
    StandardBar();
    int nLock = XTPMouseManager()->GetLockCount();
    ::PostQuitMessage(7);
    m_pHost->PerformTrackInit(m_hWnd, 5, 90, m_pHost->GetScrollBarPosInfo(), FALSE);
    EXPECT_EQ(nullptr, m_pHost->GetScrollBarTrackInfo());
    EXPECT_EQ(nLock, XTPMouseManager()->GetLockCount());
    MSG msg;
    ASSERT_TRUE(::PeekMessage(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the quit message is posted again";
    EXPECT_EQ(7, (int)msg.wParam);
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
}
