// The Office 2007 gallery painter: installed by the Office 2007 theme, its
// metrics and colours from the theme text, its in-place scroll buttons, the
// backgrounds by state and bar, the light scroll bar drawn from the theme's
// pictures and the base painter's bar for other styles; and a snapshot of
// galleries as the theme draws them.
#include <gtest/gtest.h>

#include <ostream>

#include "XTPCommandBars.h"
#include "XTPControlGallery.h"
#include "XTPControlGalleryOffice2007Theme.h"
#include "XTPOffice2007Theme.h"
#include "XTPPopupBar.h"
#include "support/bars_frame.h"
#include "support/canvas.h"
#include "support/snapshot.h"

using testsupport::Canvas;
using testsupport::CBarsFrame;

void PrintTo(const CRect& rc, std::ostream* os)
{
    *os << "(" << rc.left << ", " << rc.top << ", " << rc.right << ", " << rc.bottom << ")";
}

namespace
{
// Swatches of a colour with the colour's name as the tooltip.
class SwatchItem : public CXTPControlGalleryItem
{
public:
    explicit SwatchItem(COLORREF clr) : m_clr(clr) {}
    void Draw(CDC* pDC, CXTPControlGallery* pGallery, CRect rc, BOOL bEnabled, BOOL bSelected, BOOL bPressed,
              BOOL bChecked) override
    {
        CXTPPaintManager* pPaintManager = pGallery->GetPaintManager();
        if (bSelected || bChecked)
            pPaintManager->DrawRectangle(pDC, rc, bSelected, bPressed, bEnabled, bChecked, FALSE, xtpBarTypeNormal,
                                         xtpBarTop);
        CRect rcSwatch(rc);
        rcSwatch.DeflateRect(4, 4);
        pDC->FillSolidRect(rcSwatch, m_clr);
        pDC->Draw3dRect(rcSwatch, RGB(128, 128, 128), RGB(128, 128, 128));
    }
    COLORREF m_clr;
};

class Office2007GalleryTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CXTPPaintManager::SetTheme(xtpThemeOffice2007);
        m_pFrame = CBarsFrame::Create();
        ASSERT_NE(nullptr, m_pFrame);
        m_pPopup = CXTPPopupBar::CreatePopupBar(m_pFrame->GetCommandBars());
        m_pItems = new CXTPControlGalleryItems();
        m_pItems->SetItemSize(CSize(24, 24));
        m_pItems->AddLabel("Theme Colours");
        for (int i = 0; i < 40; i++)
            m_pItems->AddItem(new SwatchItem(RGB((i * 53) % 256, (i * 97) % 256, (i * 31 + 80) % 256)), 100 + i);
        m_pItems->AddLabel("Standard Colours");
        for (int i = 0; i < 10; i++)
            m_pItems->AddItem(new SwatchItem(RGB(25 * i, 200 - 15 * i, 60)), 200 + i);
    }
    void TearDown() override
    {
        m_pItems->InternalRelease();
        m_pPopup->InternalRelease();
        m_pFrame->DestroyWindow();
        CXTPPaintManager::SetTheme(xtpThemeDefault);
    }
    CXTPControlGalleryOffice2007Theme* Painter()
    {
        return (CXTPControlGalleryOffice2007Theme*)CXTPPaintManager::GetGlobalPaintManager()->GetGalleryPaintManager();
    }
    // A gallery on the popup bar, in place at a rectangle.
    CXTPControlGallery* AddGallery(CRect rc)
    {
        CXTPControlGallery* pGallery = new CXTPControlGallery();
        m_pPopup->GetControls()->Add(pGallery, 500);
        pGallery->SetItems(m_pItems);
        pGallery->SetRect(rc);
        return pGallery;
    }

    CBarsFrame* m_pFrame = nullptr;
    CXTPPopupBar* m_pPopup = nullptr;
    CXTPControlGalleryItems* m_pItems = nullptr;
};
} // namespace

TEST_F(Office2007GalleryTest, TheThemeInstallsItsPainterWithItsMetricsAndColours)
{
    CXTPControlGalleryPaintManager* pPainter = CXTPPaintManager::GetGlobalPaintManager()->GetGalleryPaintManager();
    ASSERT_NE(nullptr, dynamic_cast<CXTPControlGalleryOffice2007Theme*>(pPainter));
    EXPECT_EQ(17, pPainter->m_cxVScroll);
    EXPECT_EQ(17, pPainter->m_cyVScroll);
    EXPECT_EQ(17, pPainter->m_cxHScroll);
    EXPECT_EQ(17, pPainter->m_cyHScroll);
    EXPECT_EQ(21, pPainter->m_cyPopupUp);
    EXPECT_EQ(19, pPainter->m_cyPopupDown);
    EXPECT_EQ(RGB(255, 255, 255), Painter()->m_clrControlGallerySelected);
    EXPECT_EQ(RGB(236, 243, 253), Painter()->m_clrControlGalleryNormal);
    EXPECT_EQ(RGB(171, 193, 222), Painter()->m_clrControlGalleryBorder);
}

TEST_F(Office2007GalleryTest, ScrollButtonsAre15WideWithHeights21And19)
{
    CXTPControlGallery* pGallery = AddGallery(CRect(10, 10, 170, 80));
    CRect rcUp, rcDown, rcPopup;
    Painter()->GetScrollButtonRects(pGallery, rcUp, rcDown, rcPopup);
    EXPECT_EQ(CRect(155, 10, 170, 31), rcUp);
    EXPECT_EQ(CRect(155, 31, 170, 50), rcDown);
    EXPECT_EQ(CRect(155, 50, 170, 80), rcPopup);
}

TEST_F(Office2007GalleryTest, BackgroundFollowsBarAndState)
{
    m_pItems->RemoveAll();
    CXTPControlGallery* pGallery = AddGallery(CRect(0, 0, 60, 40));
    pGallery->ShowScrollBar(FALSE);
    Canvas canvas(80, 60, RGB(1, 2, 3));

    // On a popup bar: colour 41 whatever the state.
    pGallery->Draw(canvas.DC());
    EXPECT_EQ(CXTPPaintManager::GetGlobalPaintManager()->GetColor(41), canvas.Pixel(30, 20));

    // Elsewhere: the normal colour, the selected one while hot, and the
    // border in the border colour.
    m_pPopup->m_barPosition = xtpBarTop;
    pGallery->ShowBorders(TRUE);
    pGallery->Draw(canvas.DC());
    EXPECT_EQ(Painter()->m_clrControlGalleryNormal, canvas.Pixel(30, 20));
    EXPECT_EQ(Painter()->m_clrControlGalleryBorder, canvas.Pixel(0, 20));
    pGallery->m_nSelected = 1;     // the control is hot on its bar
    pGallery->Draw(canvas.DC());
    EXPECT_EQ(Painter()->m_clrControlGallerySelected, canvas.Pixel(30, 20));
    m_pPopup->m_barPosition = xtpBarPopup;
}

TEST_F(Office2007GalleryTest, LightScrollBarComesFromThePicturesAndOtherStylesFromTheBase)
{
    CXTPControlGallery* pGallery = AddGallery(CRect(0, 0, 120, 80));
    EXPECT_EQ(5, pGallery->GetScrollBarStyle());
    CXTPOffice2007Theme* pTheme = (CXTPOffice2007Theme*)CXTPPaintManager::GetGlobalPaintManager();
    CXTPOffice2007Image* pTrack = pTheme->LoadImage(_T("CONTROLGALLERYSCROLLVERTICALLIGHT"));
    ASSERT_NE(nullptr, pTrack);

    Canvas canvas(120, 80, RGB(1, 2, 3));
    pGallery->Draw(canvas.DC());
    const SCROLLBARPOSINFO* pInfo = pGallery->GetScrollBarPosInfo();
    int x = (pInfo->rc.left + pInfo->rc.right) / 2;
    COLORREF clrTrack = canvas.Pixel(x, (pInfo->pxThumbBottom + pInfo->pxDownArrow) / 2);

    // Style 2 draws the flat classic bar instead: a different track.
    pGallery->SetScrollBarStyle(2);
    pGallery->Draw(canvas.DC());
    EXPECT_NE(clrTrack, canvas.Pixel(x, (pInfo->pxThumbBottom + pInfo->pxDownArrow) / 2));
    EXPECT_EQ(::GetSysColor(COLOR_3DFACE), canvas.Pixel(x, pInfo->pxThumbTop + 3)) << "the classic thumb";
}

TEST_F(Office2007GalleryTest, DisabledGalleryShowsTheDisabledPartOfEveryButton)
{
    CXTPPopupBar* pMore = CXTPPopupBar::CreatePopupBar(m_pFrame->GetCommandBars());
    pMore->GetControls()->Add(xtpControlButton, 700);
    CXTPControlGallery* pGallery = AddGallery(CRect(0, 0, 100, 70));
    pGallery->SetCommandBar(pMore);
    pMore->InternalRelease();
    pGallery->Reposition();

    Canvas enabled(100, 70, RGB(1, 2, 3)), disabled(100, 70, RGB(1, 2, 3));
    pGallery->SetScrollPos(40);     // both up and down can scroll
    pGallery->Draw(enabled.DC());
    pGallery->SetEnabled(FALSE);
    pGallery->Draw(disabled.DC());
    CRect rcUp, rcDown, rcPopup;
    Painter()->GetScrollButtonRects(pGallery, rcUp, rcDown, rcPopup);
    for (CRect rc : {rcUp, rcDown, rcPopup})
    {
        CPoint pt = rc.CenterPoint();
        EXPECT_NE(enabled.Pixel(pt.x, pt.y), disabled.Pixel(pt.x, pt.y)) << "the disabled picture at " << pt.x << "," << pt.y;
    }
}

TEST_F(Office2007GalleryTest, SnapshotOfGalleriesAsTheThemeDrawsThem)
{
    Canvas canvas(420, 170, RGB(191, 213, 240));
    // A gallery with its light scroll bar, scrolled, with a hot item.
    CXTPControlGallery* pScrolling = AddGallery(CRect(10, 10, 200, 160));
    pScrolling->ShowBorders(TRUE);
    pScrolling->SetScrollPos(30);
    pScrolling->OnMouseMove(CPoint(60, 60));
    pScrolling->SetCheckedItem(104);
    pScrolling->Draw(canvas.DC());

    // A gallery with a drop-down: the up, down and "more" buttons.
    CXTPPopupBar* pMore = CXTPPopupBar::CreatePopupBar(m_pFrame->GetCommandBars());
    pMore->GetControls()->Add(xtpControlButton, 700);
    m_pPopup->m_barPosition = xtpBarTop;
    CXTPControlGallery* pInRibbon = new CXTPControlGallery();
    pInRibbon->SetCommandBar(pMore);
    pMore->InternalRelease();
    m_pPopup->GetControls()->Add(pInRibbon, 501);
    pInRibbon->SetItems(m_pItems);
    pInRibbon->ShowLabels(FALSE);
    pInRibbon->ShowBorders(TRUE);
    pInRibbon->SetRect(CRect(220, 20, 400, 81));
    pInRibbon->Draw(canvas.DC());
    EXPECT_FALSE(testsupport::SaveSnapshot(canvas, "office2007_galleries").empty());
    m_pPopup->m_barPosition = xtpBarPopup;
}

TEST_F(Office2007GalleryTest, AnEmptyStoreGivesSystemColoursAndDrawsNoPictures)
{
    CXTPOffice2007Theme* pTheme = (CXTPOffice2007Theme*)CXTPPaintManager::GetGlobalPaintManager();
    CXTPOffice2007ImageStore* pStore = pTheme->GetImages();
    CXTPOffice2007ImageStore empty;
    pTheme->SetImages(&empty);
    Painter()->RefreshMetrics();
    // A missing key is never drawn with as -1.
    EXPECT_EQ(::GetSysColor(COLOR_WINDOW), Painter()->m_clrControlGallerySelected);
    EXPECT_EQ(::GetSysColor(COLOR_WINDOW), Painter()->m_clrControlGalleryNormal);
    EXPECT_EQ(::GetSysColor(COLOR_BTNSHADOW), Painter()->m_clrControlGalleryBorder);

    // Without pictures the buttons and the light scroll bar draw nothing.
    CXTPPopupBar* pMore = CXTPPopupBar::CreatePopupBar(m_pFrame->GetCommandBars());
    pMore->GetControls()->Add(xtpControlButton, 700);
    CXTPControlGallery* pWithButtons = AddGallery(CRect(0, 0, 100, 70));
    pWithButtons->SetCommandBar(pMore);
    pMore->InternalRelease();
    pWithButtons->Reposition();
    Canvas canvas(100, 70, RGB(1, 2, 3));
    Painter()->DrawScrollButtons(canvas.DC(), pWithButtons);
    Painter()->DrawScrollBar(canvas.DC(), pWithButtons);
    EXPECT_EQ(RGB(1, 2, 3), canvas.Pixel(92, 10));
    EXPECT_EQ(RGB(1, 2, 3), canvas.Pixel(92, 60));

    pTheme->SetImages(pStore);
    Painter()->RefreshMetrics();
    EXPECT_EQ(RGB(236, 243, 253), Painter()->m_clrControlGalleryNormal);
}
