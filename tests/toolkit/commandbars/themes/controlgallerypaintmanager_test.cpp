// The gallery painter a paint manager owns: made, refreshed and deleted with
// it, with the system's scroll-bar metrics after a refresh.
#include <gtest/gtest.h>

#include "XTPControlGalleryPaintManager.h"
#include "XTPDefaultTheme.h"

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
