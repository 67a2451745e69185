// The gallery painter a paint manager owns: made, refreshed and deleted with
// it, with the system's scroll-bar metrics after a refresh; the colours it
// fills galleries, labels and the scroll-button column with.
#include <gtest/gtest.h>

#include "XTPCommandBars.h"
#include "XTPControlGallery.h"
#include "XTPControlGalleryPaintManager.h"
#include "XTPDefaultTheme.h"
#include "XTPPopupBar.h"
#include "support/bars_frame.h"
#include "support/canvas.h"

namespace
{
int g_nGalleryPaintersDeleted = 0;

// A painter of the kind a theme puts in place of the standard one.
class OwnGalleryPainter : public CXTPControlGalleryPaintManager
{
public:
    explicit OwnGalleryPainter(CXTPPaintManager* pPaintManager) : CXTPControlGalleryPaintManager(pPaintManager) {}
    ~OwnGalleryPainter() override { g_nGalleryPaintersDeleted++; }
    CString m_strOwnData = _T("kept until the painter goes");
};
} // namespace

TEST(GalleryPaintManagerTest, MetricsAreTheSystemsAfterARefresh)
{
    XTPPaintThemes::CXTPDefaultTheme theme;
    CXTPControlGalleryPaintManager* pGallery = theme.GetGalleryPaintManager();
    ASSERT_NE(nullptr, pGallery);
    EXPECT_EQ(&theme, pGallery->GetPaintManager());
    EXPECT_EQ(16, pGallery->m_cxVScroll);
    pGallery->m_cyPopupUp = 5;
    theme.RefreshMetrics();
    EXPECT_EQ(::GetSystemMetrics(SM_CXVSCROLL), pGallery->m_cxVScroll);
    EXPECT_EQ(::GetSystemMetrics(SM_CYVSCROLL), pGallery->m_cyVScroll);
    EXPECT_EQ(::GetSystemMetrics(SM_CXHSCROLL), pGallery->m_cxHScroll);
    EXPECT_EQ(::GetSystemMetrics(SM_CYHSCROLL), pGallery->m_cyHScroll);
    EXPECT_EQ(19, pGallery->m_cyPopupUp);
    EXPECT_EQ(19, pGallery->m_cyPopupDown);
    EXPECT_EQ(16, pGallery->m_cxPopup);
}

TEST(GalleryPaintManagerTest, AnOwnPainterIsDeletedWholeWithThePaintManager)
{
    g_nGalleryPaintersDeleted = 0;
    XTPPaintThemes::CXTPDefaultTheme* pTheme = new XTPPaintThemes::CXTPDefaultTheme();
    delete pTheme->m_pGalleryPaintManager;
    pTheme->m_pGalleryPaintManager = new OwnGalleryPainter(pTheme);
    pTheme->InternalRelease();
    EXPECT_EQ(1, g_nGalleryPaintersDeleted);
}

namespace
{
class GalleryPaintingTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CXTPPaintManager::SetTheme(xtpThemeDefault);
        m_pFrame = testsupport::CBarsFrame::Create();
        ASSERT_NE(nullptr, m_pFrame);
        m_pPopup = CXTPPopupBar::CreatePopupBar(m_pFrame->GetCommandBars());
        m_pItems = new CXTPControlGalleryItems();
        m_pItems->AddLabel("Heading");
        for (int i = 0; i < 20; i++)
            m_pItems->AddItem("x", 100 + i);
        m_pGallery = new CXTPControlGallery();
        m_pPopup->GetControls()->Add(m_pGallery, 500);
        m_pGallery->SetItems(m_pItems);
        m_pGallery->SetRect(CRect(0, 0, 100, 60));
    }
    void TearDown() override
    {
        m_pItems->InternalRelease();
        m_pPopup->InternalRelease();
        m_pFrame->DestroyWindow();
    }
    CXTPPaintManager* PaintManager() { return CXTPPaintManager::GetGlobalPaintManager(); }
    CXTPControlGalleryPaintManager* Painter() { return PaintManager()->GetGalleryPaintManager(); }

    testsupport::CBarsFrame* m_pFrame = nullptr;
    CXTPPopupBar* m_pPopup = nullptr;
    CXTPControlGalleryItems* m_pItems = nullptr;
    CXTPControlGallery* m_pGallery = nullptr;
};
} // namespace

TEST_F(GalleryPaintingTest, BackgroundBorderAndSeparatorColours)
{
    testsupport::Canvas canvas(100, 60, RGB(1, 2, 3));
    m_pGallery->ShowBorders(TRUE);
    Painter()->FillControl(canvas.DC(), m_pGallery, CRect(0, 0, 100, 60));
    EXPECT_EQ(PaintManager()->GetColor(41), canvas.Pixel(50, 30));
    EXPECT_EQ(PaintManager()->GetColor(52), canvas.Pixel(0, 30));
    EXPECT_EQ(PaintManager()->GetColor(52), canvas.Pixel(99, 30));

    // Without borders and with a control below on the popup: the separator.
    m_pGallery->ShowBorders(FALSE);
    m_pPopup->GetControls()->Add(xtpControlButton, 501);
    Painter()->FillControl(canvas.DC(), m_pGallery, CRect(0, 0, 100, 60));
    EXPECT_EQ(PaintManager()->GetColor(39), canvas.Pixel(50, 58));
    EXPECT_EQ(PaintManager()->GetColor(41), canvas.Pixel(50, 59));
}

TEST_F(GalleryPaintingTest, LabelsFillAndUnderline)
{
    testsupport::Canvas canvas(100, 19, RGB(1, 2, 3));
    Painter()->DrawLabel(canvas.DC(), m_pItems->GetItem(0), CRect(0, 0, 100, 19));
    EXPECT_EQ(PaintManager()->GetColor(56), canvas.Pixel(95, 5));
    EXPECT_EQ(PaintManager()->GetColor(52), canvas.Pixel(95, 18));
}

TEST_F(GalleryPaintingTest, ScrollButtonColumnAndClassicScrollBar)
{
    CXTPPopupBar* pMore = CXTPPopupBar::CreatePopupBar(m_pFrame->GetCommandBars());
    pMore->GetControls()->Add(xtpControlButton, 700);
    m_pGallery->SetCommandBar(pMore);
    pMore->InternalRelease();
    m_pGallery->Reposition();
    testsupport::Canvas canvas(100, 60, RGB(1, 2, 3));
    Painter()->DrawScrollButtons(canvas.DC(), m_pGallery);
    // The column is filled, and the up button (nothing above) is drawn
    // disabled: its glyph differs from the enabled down button's.
    EXPECT_NE(RGB(1, 2, 3), canvas.Pixel(90, 2));
    EXPECT_NE(canvas.Pixel(92, 9), canvas.Pixel(92, 28));

    // The classic bar: arrows drawn by the system, the thumb in the face colour.
    m_pGallery->SetCommandBar((CXTPCommandBar*)NULL);
    m_pGallery->Reposition();
    canvas.Fill(RGB(1, 2, 3));
    Painter()->DrawScrollBar(canvas.DC(), m_pGallery);
    const SCROLLBARPOSINFO* pInfo = m_pGallery->GetScrollBarPosInfo();
    ASSERT_GT(pInfo->pxThumbBottom, pInfo->pxThumbTop);
    EXPECT_EQ(::GetSysColor(COLOR_3DFACE), canvas.Pixel((pInfo->rc.left + pInfo->rc.right) / 2,
                                                        (pInfo->pxThumbTop + pInfo->pxThumbBottom) / 2));
    EXPECT_NE(RGB(1, 2, 3), canvas.Pixel(pInfo->rc.left + 2, pInfo->rc.top + 2));
}
