// Docking stickers: the part under each point of every sticker in both
// sticker styles, their shaped windows, which stickers a drag shows, and
// dropping onto them; a snapshot of the stickers during a drag.
#include "support/canvas.h"
#include "support/dockingframe.h"
#include "support/pump.h"
#include "support/snapshot.h"
#include "support/wndtest.h"

#include <XTPDockingPaneContext.h>
#include <XTPColorManager.h>
#include <XTPDockingPaneContextStickerWnd.h>

#include <gtest/gtest.h>

#include <string>

namespace
{
using testsupport::GroupOf;
using testsupport::ScreenRect;
::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new testsupport::Environment);

class StickerTest : public testsupport::TwoPaneFrameTest
{
protected:
    void SetUp() override
    {
        TwoPaneFrameTest::SetUp();
        manager().m_bAlphaDockingContext = TRUE;
        manager().m_bShowDockingContextStickers = TRUE;
    }
    void TearDown() override
    {
        CXTPDockingPaneContext* pContext = context();
        if (pContext->IsDragging())
        {
            pContext->EndLoop();
            pContext->m_pPane = NULL;
        }
        TwoPaneFrameTest::TearDown();
    }
    CXTPDockingPaneContext* context() { return manager().GetDockingContext(); }
    void StartDrag()
    {
        CRect rc = ScreenRect(GroupOf(pLeft)->GetSafeHwnd());
        context()->BeginDrag(GroupOf(pLeft), CPoint(rc.left + 20, rc.top + 6));
        context()->InitLoop();
    }
    // The stickers now shown, by kind.
    std::vector<UINT> Kinds()
    {
        std::vector<UINT> kinds;
        POSITION pos = context()->GetStickers().GetHeadPosition();
        while (pos != NULL)
            kinds.push_back(context()->GetStickers().GetNext(pos)->GetKind());
        return kinds;
    }
    CXTPDockingPaneContextStickerWnd* Sticker(UINT nKindBits)
    {
        POSITION pos = context()->GetStickers().GetHeadPosition();
        while (pos != NULL)
        {
            CXTPDockingPaneContextStickerWnd* pSticker = context()->GetStickers().GetNext(pos);
            if ((pSticker->GetKind() & nKindBits) == nKindBits)
                return pSticker;
        }
        return NULL;
    }

    CXTPDockingPaneContextStickerWnd* LoneSticker(UINT nKind)
    {
        POSITION pos = context()->GetStickers().GetHeadPosition();
        while (pos != NULL)
        {
            CXTPDockingPaneContextStickerWnd* pSticker = context()->GetStickers().GetNext(pos);
            if (pSticker->GetKind() == nKind)
                return pSticker;
        }
        return NULL;
    }

};

struct PartPoint
{
    UINT nPart;
    CPoint pt;   // in the sticker's client area
};

TEST_F(StickerTest, EveryPartOfEveryStickerAnswersForItsOwnPixelsInBothStyles)
{
    for (int nStyle = 0; nStyle <= 1; nStyle++)
    {
        SCOPED_TRACE(nStyle);
        manager().m_nDockingContextStickerStyle = nStyle;
        context()->m_pPane = GroupOf(pLeft);   // the stickers' owner mid-drag

        // The cross: the middle of each arm, then the middle of the cross.
        const UINT nCross = xtpStickerClient | xtpStickerLeft | xtpStickerRight | xtpStickerTop | xtpStickerBottom |
                            xtpStickerCenter;
        CSize sz = CXTPDockingPaneContextStickerWnd::GetStickerSize(nCross, nStyle);
        EXPECT_EQ(nStyle == 0 ? CSize(93, 93) : CSize(89, 89), sz);
        CXTPDockingPaneContextStickerWnd* pCross = context()->CreateStickerWnd(CRect(CPoint(300, 200), sz), nCross);
        ASSERT_TRUE(pCross != NULL);
        const int c = sz.cx / 2;
        const PartPoint crossParts[] = {
            { xtpStickerTop, CPoint(c, 12) },     { xtpStickerLeft, CPoint(12, c) },
            { xtpStickerBottom, CPoint(c, sz.cy - 14) }, { xtpStickerRight, CPoint(sz.cx - 14, c) },
            { xtpStickerCenter, CPoint(c, c) },   { xtpStickerNone, CPoint(1, 1) },
            { xtpStickerNone, CPoint(sz.cx - 2, sz.cy - 2) },
        };
        for (const PartPoint& part : crossParts)
        {
            CPoint pt = part.pt;
            pCross->ClientToScreen(&pt);
            EXPECT_EQ((int)part.nPart, pCross->HitTest(pt)) << part.pt.x << "," << part.pt.y;
        }
        EXPECT_EQ(0, pCross->HitTest(CPoint(300 + sz.cx + 5, 200 + c)));

        // Its window has the shape of its pixels: the transparent corners are out.
        CRgn rgn;
        rgn.CreateRectRgn(0, 0, 0, 0);
        ASSERT_NE(ERROR, pCross->GetWindowRgn(rgn));
        EXPECT_FALSE(rgn.PtInRegion(1, 1));
        EXPECT_TRUE(rgn.PtInRegion(c, c));
        EXPECT_TRUE(rgn.PtInRegion(c, 12));

        // The lone arrows: their middle is their part, their corner is not.
        const UINT lone[] = { xtpStickerLeft, xtpStickerRight, xtpStickerTop, xtpStickerBottom };
        for (UINT nKind : lone)
        {
            CSize szLone = CXTPDockingPaneContextStickerWnd::GetStickerSize(nKind, nStyle);
            CXTPDockingPaneContextStickerWnd* pLone =
                context()->CreateStickerWnd(CRect(CPoint(100, 100), szLone), nKind);
            ASSERT_TRUE(pLone != NULL);
            EXPECT_EQ((int)nKind, pLone->HitTest(CPoint(100 + szLone.cx / 2, 100 + szLone.cy / 2))) << nKind;
            EXPECT_EQ(0, pLone->HitTest(CPoint(100, 100))) << nKind;
        }
        // A kind with no part makes no window.
        EXPECT_EQ(NULL, context()->CreateStickerWnd(CRect(0, 0, 93, 93), xtpStickerClient));
        // One region per kind and drag.
        EXPECT_EQ(context()->GetStickerRegion(nCross), context()->GetStickerRegion(nCross));
        context()->EndLoop();
        context()->m_pPane = NULL;
    }
}

TEST(StickerArtTest, TheColourSchemesShareOneShapeInTheirOwnColours)
{
    // The region and hit test of the first style come from its default
    // sheet; the olive and silver sheets must cover exactly its pixels, or
    // a sticker would react outside its picture or not at all on it.
    const UINT kinds[] = { xtpStickerClient | xtpStickerLeft | xtpStickerRight | xtpStickerTop | xtpStickerBottom |
                               xtpStickerCenter,
                           xtpStickerLeft, xtpStickerRight, xtpStickerTop, xtpStickerBottom };
    for (UINT nKind : kinds)
    {
        SCOPED_TRACE(nKind);
        CSize sz = CXTPDockingPaneContextStickerWnd::GetStickerSize(nKind, 0);
        testsupport::Canvas plain(sz.cx, sz.cy, RGB(0, 0, 0));
        CXTPDockingPaneContextStickerWnd::DrawSticker(plain.DC(), nKind, xtpStickerNone, 0, xtpSystemThemeBlue);
        for (int nScheme : { xtpSystemThemeOlive, xtpSystemThemeSilver })
        {
            testsupport::Canvas tinted(sz.cx, sz.cy, RGB(0, 0, 0));
            CXTPDockingPaneContextStickerWnd::DrawSticker(tinted.DC(), nKind, xtpStickerNone, 0, nScheme);
            int nDrawn = 0, nOtherColour = 0, nShapeDiffers = 0;
            for (int y = 0; y < sz.cy; y++)
            {
                for (int x = 0; x < sz.cx; x++)
                {
                    COLORREF a = plain.Pixel(x, y), b = tinted.Pixel(x, y);
                    EXPECT_NE(RGB(0, 255, 0), b);   // the transparent colour is never drawn
                    nShapeDiffers += (a == 0) != (b == 0);
                    nDrawn += a != 0;
                    nOtherColour += a != b;
                }
            }
            EXPECT_EQ(0, nShapeDiffers) << nScheme;
            EXPECT_GT(nDrawn, sz.cx * sz.cy / 4) << nScheme;
            EXPECT_GT(nOtherColour, 0) << nScheme;
        }
    }
}

TEST_F(StickerTest, ADragShowsACrossOverTheContainerAndArrowsAtTheFramesEdges)
{
    StartDrag();
    ASSERT_TRUE(context()->IsStickersShown());
    CPoint ptOverRight = ScreenRect(GroupOf(pRight)->GetSafeHwnd()).CenterPoint();
    context()->Move(ptOverRight);
    EXPECT_EQ(static_cast<CXTPDockingPaneBase*>(GroupOf(pRight)), context()->GetStickerContainer());
    std::vector<UINT> kinds = Kinds();
    ASSERT_EQ(5u, kinds.size());
    EXPECT_EQ((UINT)(xtpStickerClient | xtpStickerLeft | xtpStickerRight | xtpStickerTop | xtpStickerBottom |
                     xtpStickerCenter),
              kinds[0]);
    CRect rcCross = ScreenRect(Sticker(xtpStickerClient)->GetSafeHwnd());
    EXPECT_LE(abs(ptOverRight.x - rcCross.CenterPoint().x), 1);
    EXPECT_LE(abs(ptOverRight.y - rcCross.CenterPoint().y), 1);

    // The lone top arrow sits 16 pixels below the docking area's top.
    CRect rcTop;
    manager().GetTopPane()->GetScreenRect(&rcTop);
    CXTPDockingPaneContextStickerWnd* pTop = LoneSticker(xtpStickerTop);
    ASSERT_TRUE(pTop != NULL);
    EXPECT_EQ(rcTop.top + 16, ScreenRect(pTop->GetSafeHwnd()).top);

    // Over the view the cross has no centre: nothing tabs into the view.
    context()->Move(ScreenRect(pFrame->GetView()->GetSafeHwnd()).CenterPoint());
    EXPECT_EQ(manager().GetClientPane(), context()->GetStickerContainer());
    ASSERT_TRUE(Sticker(xtpStickerClient) != NULL);
    EXPECT_EQ(0u, Sticker(xtpStickerClient)->GetKind() & xtpStickerCenter);

    // An owner that refuses every docking gets no stickers at all.
    pFrame->m_nVetoAction = xtpPaneActionDocking;
    context()->Move(ptOverRight);
    kinds = Kinds();
    ASSERT_EQ(1u, kinds.size());
    EXPECT_EQ((UINT)(xtpStickerClient | xtpStickerCenter), kinds[0]);
    pFrame->m_nVetoAction = xtpPaneActionAttaching;
    context()->Move(ScreenRect(pFrame->GetView()->GetSafeHwnd()).CenterPoint());
    context()->Move(ptOverRight);
    EXPECT_EQ(0u, Sticker(xtpStickerClient)->GetKind() & xtpStickerCenter);
}

TEST_F(StickerTest, MovingToAnotherContainerKeepsTheWindowsOfStickersOfTheSameKind)
{
    CXTPDockingPane* pBottom = manager().CreatePane(3, CRect(0, 0, 120, 100), xtpPaneDockBottom);
    pBottom->SetTitle("Bottom");
    Layout();
    StartDrag();
    CPoint ptOverRight = ScreenRect(GroupOf(pRight)->GetSafeHwnd()).CenterPoint();
    CPoint ptOverView = ScreenRect(pFrame->GetView()->GetSafeHwnd()).CenterPoint();
    context()->Move(ptOverRight);
    ASSERT_TRUE(LoneSticker(xtpStickerTop) != NULL);
    HWND hWndTop = LoneSticker(xtpStickerTop)->GetSafeHwnd();
    CRect rcTop = ScreenRect(hWndTop);
    HWND hWndCross = Sticker(xtpStickerClient)->GetSafeHwnd();

    // Over the view the cross changes kind (no centre): a new window; the
    // lone arrows stay as they were.
    context()->Move(ptOverView);
    ASSERT_TRUE(LoneSticker(xtpStickerTop) != NULL);
    EXPECT_EQ(hWndTop, LoneSticker(xtpStickerTop)->GetSafeHwnd());
    EXPECT_EQ(rcTop, ScreenRect(hWndTop));
    EXPECT_FALSE(::IsWindow(hWndCross)) << "a cross of another kind is made anew";
    EXPECT_EQ(5u, Kinds().size());

    // Back over the right container, then over another pane's container:
    // a cross of the same kind is moved there, not made again.
    context()->Move(ptOverRight);
    hWndCross = Sticker(xtpStickerClient)->GetSafeHwnd();
    CPoint ptOverBottom = ScreenRect(GroupOf(pBottom)->GetSafeHwnd()).CenterPoint();
    context()->Move(ptOverBottom);
    ASSERT_EQ(static_cast<CXTPDockingPaneBase*>(GroupOf(pBottom)), context()->GetStickerContainer());
    CXTPDockingPaneContextStickerWnd* pCross = Sticker(xtpStickerClient);
    ASSERT_TRUE(pCross != NULL);
    EXPECT_EQ(hWndCross, pCross->GetSafeHwnd());
    CRect rcCross = ScreenRect(pCross->GetSafeHwnd());
    EXPECT_LE(abs(ptOverBottom.x - rcCross.CenterPoint().x), 1) << "moved over the new container";
    EXPECT_LE(abs(ptOverBottom.y - rcCross.CenterPoint().y), 1);
    EXPECT_TRUE(pCross->IsWindowVisible());
    EXPECT_EQ(5u, Kinds().size());
}

TEST_F(StickerTest, DroppingOnAnArmDocksBesideTheContainerAndOnAnEdgeArrowBesideTheFrame)
{
    StartDrag();
    CPoint ptOverRight = ScreenRect(GroupOf(pRight)->GetSafeHwnd()).CenterPoint();
    context()->Move(ptOverRight);
    CXTPDockingPaneContextStickerWnd* pCross = Sticker(xtpStickerClient);
    ASSERT_TRUE(pCross != NULL);
    CRect rcCross = ScreenRect(pCross->GetSafeHwnd());

    // Over the cross's top arm: the top half of the container, highlighted.
    context()->Move(CPoint(rcCross.CenterPoint().x, rcCross.top + 12));
    EXPECT_EQ(static_cast<CXTPDockingPaneBase*>(GroupOf(pRight)), context()->GetTarget());
    EXPECT_EQ(xtpPaneDockTop, context()->GetTargetDirection());
    EXPECT_EQ((UINT)xtpStickerTop, pCross->GetHighlighted());
    CRect rcGroup = ScreenRect(GroupOf(pRight)->GetSafeHwnd());
    EXPECT_EQ(rcGroup.top, context()->GetTargetRect().top);
    EXPECT_LT(context()->GetTargetRect().bottom, rcGroup.bottom);

    // Over the centre: tabbed in, the whole container.
    context()->Move(rcCross.CenterPoint());
    EXPECT_TRUE(context()->IsAttach());
    EXPECT_EQ((UINT)xtpStickerCenter, pCross->GetHighlighted());

    // Over the lone bottom arrow: the bottom of the frame. The stickers are
    // made again there, since the container under the point changed.
    CXTPDockingPaneContextStickerWnd* pBottom = LoneSticker(xtpStickerBottom);
    ASSERT_TRUE(pBottom != NULL);
    context()->Move(ScreenRect(pBottom->GetSafeHwnd()).CenterPoint());
    EXPECT_EQ(static_cast<CXTPDockingPaneBase*>(manager().GetTopPane()), context()->GetTarget());
    EXPECT_EQ(xtpPaneDockBottom, context()->GetTargetDirection());
    pBottom = LoneSticker(xtpStickerBottom);
    ASSERT_TRUE(pBottom != NULL);
    EXPECT_EQ((UINT)xtpStickerBottom, pBottom->GetHighlighted());
    ASSERT_TRUE(Sticker(xtpStickerClient) != NULL);
    EXPECT_EQ(0u, Sticker(xtpStickerClient)->GetHighlighted());

    // The drop docks the pane at the bottom of the frame.
    context()->EndLoop();
    context()->Drop();
    context()->m_pPane = NULL;
    Layout();
    EXPECT_EQ(xtpPaneDockBottom, manager().GetPaneDirection(pLeft));
}

// A lone arrow at the frame's edge previews the strip the pane then takes:
// its own docking size along the whole edge, not the whole docking area;
// on every lone arrow and in both sticker styles. The picture of each
// preview goes to the snapshots.
TEST_F(StickerTest, ALoneArrowPreviewsTheStripThePaneLandsIn)
{
    const UINT lone[] = {xtpStickerLeft, xtpStickerRight, xtpStickerTop, xtpStickerBottom};
    const char* const names[] = {"left", "right", "top", "bottom"};
    for (int nStyle = 0; nStyle <= 1; nStyle++)
    {
        for (int i = 0; i < 4; i++)
        {
            SCOPED_TRACE(std::string(names[i]) + (nStyle == 0 ? ", first style" : ", second style"));
            // A fresh frame each time: the drop changes the arrangement.
            TwoPaneFrameTest::TearDown();
            CreateFrame(CSize(822, 560), nStyle == 0 ? xtpPaneThemeOffice2003 : xtpPaneThemeVisualStudio2005);
            manager().m_bAlphaDockingContext = TRUE;
            manager().m_bShowDockingContextStickers = TRUE;
            ASSERT_EQ(nStyle, context()->GetStickerStyle());
            pLeft = AddPane(1, _T("Left"), xtpPaneDockLeft, CSize(200, 120));
            pRight = AddPane(2, _T("Right"), xtpPaneDockRight, CSize(180, 120));
            CXTPDockingPane* pMoved = AddPane(3, _T("Moved"), xtpPaneDockBottom, CSize(160, 110));
            ASSERT_TRUE(pMoved != NULL);
            Layout();

            CRect rcMoved = ScreenRect(GroupOf(pMoved)->GetSafeHwnd());
            context()->BeginDrag(GroupOf(pMoved), CPoint(rcMoved.left + 20, rcMoved.top + 6));
            context()->InitLoop();
            ASSERT_TRUE(context()->IsStickersShown());
            context()->Move(ScreenRect(pFrame->GetView()->GetSafeHwnd()).CenterPoint());
            CXTPDockingPaneContextStickerWnd* pArrow = LoneSticker(lone[i]);
            ASSERT_TRUE(pArrow != NULL);
            context()->Move(ScreenRect(pArrow->GetSafeHwnd()).CenterPoint());
            ASSERT_EQ(static_cast<CXTPDockingPaneBase*>(manager().GetTopPane()), context()->GetTarget());
            ASSERT_FALSE(context()->IsAttach());
            CRect rcPreview = context()->GetTargetRect();
            ASSERT_TRUE(context()->m_wndContext.GetSafeHwnd() != NULL) << "no preview shown";
            EXPECT_EQ(rcPreview, ScreenRect(context()->m_wndContext.GetSafeHwnd())) << "the preview window";

            testsupport::Canvas canvas(822, 560);
            testsupport::DrawDockingFrame(pFrame, canvas);
            testsupport::DrawDragFeedback(pFrame, canvas);
            EXPECT_FALSE(testsupport::SaveSnapshot(canvas, std::string("lone_") + names[i] + "_style" +
                                                               std::to_string(nStyle))
                             .empty());

            context()->EndLoop();
            context()->Drop();
            context()->m_pPane = NULL;
            Layout();
            EXPECT_EQ((int)i, manager().GetPaneDirection(pMoved));
            EXPECT_EQ(ScreenRect(GroupOf(pMoved)->GetSafeHwnd()), rcPreview) << "the pane landed elsewhere";
            const bool bHoriz = lone[i] == xtpStickerLeft || lone[i] == xtpStickerRight;
            EXPECT_EQ(bHoriz ? 160 : 110, bHoriz ? rcPreview.Width() : rcPreview.Height());
        }
    }
}

TEST_F(StickerTest, SnapshotOfTheStickersDuringADrag)
{
    for (int nStyle = 0; nStyle <= 1; nStyle++)
    {
        manager().SetTheme(nStyle == 0 ? xtpPaneThemeOffice2003 : xtpPaneThemeVisualStudio2005);
        Layout();
        StartDrag();
        CRect rcCross;
        context()->Move(ScreenRect(GroupOf(pRight)->GetSafeHwnd()).CenterPoint());
        rcCross = ScreenRect(Sticker(xtpStickerClient)->GetSafeHwnd());
        context()->Move(CPoint(rcCross.left + 10, rcCross.CenterPoint().y));   // the left arm

        testsupport::Canvas canvas(640, 480);
        testsupport::DrawDockingFrame(pFrame, canvas);
        testsupport::DrawDragFeedback(pFrame, canvas);
        std::string strPath = testsupport::SaveSnapshot(canvas, nStyle == 0 ? "stickers_style0" : "stickers_style1");
        EXPECT_FALSE(strPath.empty());
        context()->EndLoop();
        context()->m_pPane = NULL;
    }
}
} // namespace
