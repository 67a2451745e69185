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

TEST_F(RibbonThemeTest, KeyedNineGridPartsBlendOntoThirtyTwoBitPictures)
{
    // The system button's picture has a magenta key around its round face.
    CXTPOffice2007Image* pImage = m_pFrame->GetTheme()->LoadImage(_T("FRAMESYSTEMBUTTON"));
    ASSERT_TRUE(pImage != NULL);
    const COLORREF clrBack = RGB(0, 128, 0);
    const COLORREF clrKey = RGB(255, 0, 255);
    CRect rc(0, 0, 60, 60);
    // Through TransparentBlt, then through the buffered AlphaBlend path.
    testsupport::Canvas keyed(60, 60, clrBack, 32);
    pImage->DrawImageTransparent(CDC::FromHandle(keyed.Handle()), rc, pImage->GetSource(0, 3), CRect(0, 0, 0, 0),
                                 clrKey);
    testsupport::Canvas blended(60, 60, clrBack, 32);
    pImage->DrawImageBuffered(CDC::FromHandle(blended.Handle()), rc, pImage->GetSource(0, 3), CRect(0, 0, 0, 0),
                              clrKey, 1);
    int nBack = 0, nFace = 0;
    for (int y = 0; y < 60; y++)
    {
        for (int x = 0; x < 60; x++)
        {
            COLORREF clr = keyed.Pixel(x, y);
            ASSERT_NE(clrKey, clr) << x << "," << y;
            ASSERT_NE(clrKey, blended.Pixel(x, y)) << x << "," << y;
            // Both ways leave the same pixels: no black where the key was.
            ASSERT_EQ(clr, blended.Pixel(x, y)) << x << "," << y;
            (clr == clrBack ? nBack : nFace)++;
        }
    }
    // The corners show through, the face is drawn.
    EXPECT_EQ(clrBack, keyed.Pixel(0, 0));
    EXPECT_GT(nBack, 100);
    EXPECT_GT(nFace, 60 * 60 / 2);
}

TEST_F(RibbonThemeTest, TheFaceIsSegoeUIWhenInstalledElseTheMenuFont)
{
    CXTPRibbonTheme* pTheme = m_pFrame->GetTheme();
    NONCLIENTMETRICS ncm;
    ZeroMemory(&ncm, sizeof(ncm));
    ncm.cbSize = sizeof(ncm);
    ASSERT_TRUE(::SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0));
    auto face = [pTheme]() {
        LOGFONT lf;
        pTheme->GetGroupCaptionFont()->GetLogFont(&lf);
        return CString(lf.lfFaceName);
    };
    // The face flag is set by the theme.
    EXPECT_TRUE(pTheme->m_bUseOfficeFont);
    CString strExpected = CXTPPaintManager::FontExists(_T("Segoe UI")) ? CString(_T("Segoe UI"))
                                                                       : CString(ncm.lfMenuFont.lfFaceName);
    EXPECT_EQ(strExpected, face());
    // Without the flag the system's menu face is taken.
    pTheme->m_bUseOfficeFont = FALSE;
    pTheme->RefreshMetrics();
    EXPECT_EQ(CString(ncm.lfMenuFont.lfFaceName), face());
    pTheme->m_bUseOfficeFont = TRUE;
    pTheme->RefreshMetrics();
    EXPECT_EQ(strExpected, face());
}
