// The ribbon theme: theme 6 of the factory, colours from the theme store
// with a sound fallback for a missing key, drawing that survives a store
// without pictures, the tab paint manager it makes, and a snapshot of the
// ribbon drawn both ways.
#include "ribbon_testframe.h"

#include "XTPOffice2007Image.h"
#include "support/canvas.h"
#include "support/snapshot.h"

using namespace ribbontest;

namespace
{
class RibbonThemeTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_nLive = LiveObjects();
        m_pFrame = new CRibbonFrame();
        ASSERT_TRUE(m_pFrame->CreateRibbonFrame(CRect(20, 20, 720, 420), TRUE));
        m_pRibbon = m_pFrame->GetRibbon();
        m_pFrame->BuildSample();
    }
    void TearDown() override
    {
        m_pFrame->GetTheme()->SetImages(XTPOffice2007ImageStore());
        m_pFrame->DestroyRibbonFrame();
        PumpAndIdle();
        EXPECT_EQ(m_nLive, LiveObjects());
    }
    // The ribbon drawn into a picture of its client size.
    void Paint(testsupport::Canvas& canvas)
    {
        CRect rc(0, 0, canvas.Width(), canvas.Height());
        m_pRibbon->DrawCommandBar(CDC::FromHandle(canvas.Handle()), rc);
    }
    CSize ClientSize() const
    {
        CRect rc;
        m_pRibbon->GetClientRect(&rc);
        return rc.Size();
    }
    CRibbonFrame* m_pFrame = NULL;
    CXTPRibbonBar* m_pRibbon = NULL;
    LONG m_nLive = 0;
};
} // namespace

TEST_F(RibbonThemeTest, ThemeSixIsTheRibbonThemeAndEachIdHasItsOwnClass)
{
    CXTPPaintManager* pThemes[7];
    for (int i = 0; i < 7; i++)
        pThemes[i] = CXTPPaintManager::CreateTheme(i);
    EXPECT_TRUE(dynamic_cast<CXTPRibbonTheme*>(pThemes[6]) != NULL);
    EXPECT_EQ(6, pThemes[6]->BaseTheme());
    EXPECT_TRUE(dynamic_cast<CXTPRibbonTheme*>(pThemes[5]) == NULL);
    EXPECT_TRUE(dynamic_cast<CXTPOffice2007Theme*>(pThemes[5]) != NULL);
    for (int i = 0; i < 7; i++)
    {
        for (int j = i + 1; j < 7; j++)
        {
            EXPECT_STRNE(typeid(*pThemes[i]).name(), typeid(*pThemes[j]).name()) << i << " " << j;
        }
    }
    for (int i = 0; i < 7; i++)
        pThemes[i]->InternalRelease();
}

TEST_F(RibbonThemeTest, ColoursComeFromTheStoreAndAMissingKeyFallsBack)
{
    CXTPRibbonTheme* pTheme = m_pFrame->GetTheme();
    COLORREF clrStored = pTheme->GetImageColor(_T("Ribbon"), _T("RibbonFace"));
    ASSERT_NE((COLORREF)-1, clrStored);
    EXPECT_EQ(clrStored, pTheme->m_clrRibbonFace);
    EXPECT_EQ((COLORREF)-1, pTheme->GetImageColor(_T("Ribbon"), _T("NoSuchKey")));
    EXPECT_EQ(RGB(1, 2, 3), pTheme->RibbonColor(_T("NoSuchKey"), RGB(1, 2, 3)));

    // A store without the theme text: every ribbon colour is a real colour.
    CXTPOffice2007ImageStore empty;
    pTheme->SetImages(&empty);
    pTheme->RefreshMetrics();
    const COLORREF colours[] = { pTheme->m_clrRibbonFace, pTheme->m_clrRibbonText, pTheme->m_clrGroupCaptionText,
                                 pTheme->m_clrControlEditNormal, pTheme->m_clrMinimizedFrameEdgeHighLight,
                                 pTheme->m_clrMinimizedFrameEdgeShadow, pTheme->m_clrTabNormalText };
    for (COLORREF clr : colours)
        EXPECT_NE((COLORREF)-1, clr);
    pTheme->SetImages(XTPOffice2007ImageStore());
    pTheme->RefreshMetrics();
}

TEST_F(RibbonThemeTest, WithoutPicturesTheRibbonIsDrawnFromColours)
{
    CXTPRibbonTheme* pTheme = m_pFrame->GetTheme();
    CSize sz = ClientSize();
    testsupport::Canvas withPictures(sz.cx, sz.cy);
    Paint(withPictures);
    EXPECT_FALSE(testsupport::SaveSnapshot(withPictures, "ribbon_theme_pictures").empty());

    CXTPOffice2007ImageStore empty;
    pTheme->SetImages(&empty);
    pTheme->RefreshMetrics();
    EXPECT_EQ(NULL, pTheme->LoadImage(_T("RIBBONTAB")));
    testsupport::Canvas withColours(sz.cx, sz.cy);
    Paint(withColours);
    EXPECT_FALSE(testsupport::SaveSnapshot(withColours, "ribbon_theme_colours").empty());
    // The selected tab and the groups are drawn: the groups area is not one flat colour.
    CRect rcGroups = m_pRibbon->GetGroupsRect();
    COLORREF clrTop = withColours.Pixel(rcGroups.left + 20, rcGroups.top + 10);
    COLORREF clrCaption = withColours.Pixel(rcGroups.left + 20, rcGroups.bottom - 8);
    EXPECT_NE(clrTop, clrCaption);
    pTheme->SetImages(XTPOffice2007ImageStore());
    pTheme->RefreshMetrics();
}

TEST_F(RibbonThemeTest, TheTabPaintManagerIsSetUpForTheRibbon)
{
    CXTPTabPaintManager* pTabs = m_pFrame->GetTheme()->GetTabPaintManager();
    ASSERT_TRUE(pTabs != NULL);
    EXPECT_TRUE(dynamic_cast<CXTPRibbonTheme::CRibbonAppearanceSet*>(pTabs->GetAppearanceSet()) != NULL);
    EXPECT_TRUE(dynamic_cast<CXTPRibbonTheme::CRibbonColorSet*>(pTabs->GetColorSet()) != NULL);
    EXPECT_EQ(xtpTabLayoutSizeToFit, pTabs->GetLayout());
    EXPECT_TRUE(pTabs->m_bHotTracking);
    EXPECT_FALSE(pTabs->m_bDrawFocusRect);
    EXPECT_FALSE(pTabs->m_bFillBackground);
    EXPECT_EQ(21, pTabs->m_nButtonExtraLength);
    EXPECT_EQ(CRect(0, 2, 0, 2), pTabs->m_rcButtonMargin);
    // Tabs are as high as the theme's tab height + 1.
    EXPECT_EQ(m_pFrame->GetTheme()->GetTabHeight() + 1,
              pTabs->GetAppearanceSet()->GetButtonHeight(m_pRibbon->GetControlTab()));
    // The tab text colours come from the store.
    EXPECT_EQ(m_pFrame->GetTheme()->m_clrTabNormalText, (COLORREF)pTabs->GetColorSet()->m_clrTextNormal);
}
