// The tab paint manager: factories of appearance and colour sets, fonts and
// metrics, margins by position, captions shortened in the middle, the
// Visio and upright layouts, colours, and drawing every set.
#include "support/gdi_count.h"
#include "support/snapshot.h"
#include "support/wndtest.h"

#include <XTPTabPaintManager.h>

#include <gtest/gtest.h>

namespace
{
::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new testsupport::Environment);

// A windowless strip laid out in a given rectangle.
class CPaperStrip : public CXTPTabManager
{
public:
    explicit CPaperStrip(CXTPTabPaintManager* pPaintManager) : m_pPaintManager(pPaintManager), m_rc(0, 0, 300, 60) {}
    virtual void Reposition()
    {
        CWindowDC dc(NULL);
        m_pPaintManager->RepositionTabControlEntry(this, &dc, m_rc);
    }
    virtual CXTPTabPaintManager* GetPaintManager() const { return m_pPaintManager; }
    virtual void RedrawControl(LPCRECT, BOOL) {}
    virtual BOOL DrawIcon(CDC*, CPoint, CXTPTabManagerItem* pItem, BOOL, CSize&) const { return pItem == NULL; }

    CXTPTabPaintManager* m_pPaintManager;
    CRect m_rc;
};

// Releases a paint manager at the end of a test.
struct PaintManagerHolder
{
    PaintManagerHolder() : p(new CXTPTabPaintManager()) {}
    ~PaintManagerHolder() { p->InternalRelease(); }
    CXTPTabPaintManager* operator->() const { return p; }
    CXTPTabPaintManager* p;
};

int SpaceHeight(CFont* pFont)
{
    CWindowDC dc(NULL);
    CFont* pOld = dc.SelectObject(pFont);
    int cy = dc.GetTextExtent(CString(" ")).cy;
    dc.SelectObject(pOld);
    return cy;
}

TEST(TabPaintManagerSets, NumbersPickTheirSetsAndUnknownNumbersTheDefaults)
{
    PaintManagerHolder pm;
    EXPECT_TRUE(dynamic_cast<CXTPTabPaintManager::CAppearanceSetPropertyPage*>(pm->GetAppearanceSet()) != NULL);
    EXPECT_TRUE(dynamic_cast<CXTPTabPaintManager::CColorSetDefault*>(pm->GetColorSet()) != NULL);

    pm->SetAppearance(42);
    EXPECT_TRUE(dynamic_cast<CXTPTabPaintManager::CAppearanceSetPropertyPage*>(pm->GetAppearanceSet()) != NULL);
    EXPECT_TRUE(dynamic_cast<CXTPTabPaintManager::CAppearanceSetPropertyPageSelected*>(pm->GetAppearanceSet()) ==
                NULL);
    pm->SetAppearance(xtpTabAppearancePropertyPage2003);
    EXPECT_TRUE(dynamic_cast<CXTPTabPaintManager::CColorSetOffice2003*>(pm->GetColorSet()) != NULL);
    pm->SetAppearance(xtpTabAppearanceVisualStudio);
    EXPECT_EQ(CRect(4, 2, 4, 0), pm->GetAppearanceSet()->GetHeaderMargin());
    EXPECT_TRUE(dynamic_cast<CXTPTabPaintManager::CColorSetVisualStudio*>(pm->GetColorSet()) != NULL);

    pm->SetColor(1);
    EXPECT_TRUE(dynamic_cast<CXTPTabPaintManager::CColorSetDefault*>(pm->GetColorSet()) != NULL);
    pm->SetColor(77);
    EXPECT_TRUE(dynamic_cast<CXTPTabPaintManager::CColorSetDefault*>(pm->GetColorSet()) != NULL);
    pm->SetColor(xtpTabColorOffice2007);
    EXPECT_TRUE(dynamic_cast<CXTPTabPaintManager::CColorSetOffice2007*>(pm->GetColorSet()) != NULL);

    // A null set keeps the current one.
    CXTPTabPaintManager::CAppearanceSet* pSet = pm->GetAppearanceSet();
    EXPECT_EQ(pSet, pm->SetAppearanceSet(NULL));
}

TEST(TabPaintManagerFonts, VerticalFontsAreNeverSmallerThanElevenPixels)
{
    PaintManagerHolder pm;
    LOGFONT lf = {};
    lf.lfHeight = -8;
    lstrcpy(lf.lfFaceName, "Tahoma");
    pm->SetFontIndirect(&lf);
    LOGFONT lfNormal, lfVertical, lfVerticalBold;
    pm->GetFont()->GetLogFont(&lfNormal);
    pm->GetVerticalFont()->GetLogFont(&lfVertical);
    pm->GetVerticalBoldFont()->GetLogFont(&lfVerticalBold);
    EXPECT_EQ(-8, lfNormal.lfHeight);
    EXPECT_EQ(-11, lfVertical.lfHeight);
    EXPECT_EQ(2700, lfVertical.lfEscapement);
    EXPECT_EQ(FW_BOLD, lfVerticalBold.lfWeight);
    EXPECT_FALSE(pm->m_bUseStandardFont);
}

TEST(TabPaintManagerMetrics, TheRowHeightIsTheSpaceHeightPlusThreeButAtLeastEighteen)
{
    PaintManagerHolder pm;
    LOGFONT lf = {};
    lstrcpy(lf.lfFaceName, "Tahoma");
    lf.lfHeight = -9;
    pm->SetFontIndirect(&lf);
    pm->GetAppearanceSet()->RefreshMetrics();
    int nSmall = SpaceHeight(pm->GetFont());
    EXPECT_EQ(std::max(18, nSmall + 3), pm->GetAppearanceSet()->m_nButtonHeight);

    lf.lfHeight = -24;
    pm->SetFontIndirect(&lf);
    pm->GetAppearanceSet()->RefreshMetrics();
    int nLarge = SpaceHeight(pm->GetFont());
    ASSERT_GT(nLarge + 3, 18);
    EXPECT_EQ(nLarge + 3, pm->GetAppearanceSet()->m_nButtonHeight);
}

TEST(TabPaintManagerMargins, MarginsGivenForATopStripTurnWithThePosition)
{
    const CRect rcMargin(1, 2, 3, 4);   // left, top, right, bottom of a top strip
    CRect rc(100, 100, 200, 200);
    CXTPTabPaintManager::InflateRectForPosition(rc, rcMargin, xtpTabPositionLeft);
    EXPECT_EQ(CRect(98, 99, 204, 203), rc);
    rc.SetRect(100, 100, 200, 200);
    CXTPTabPaintManager::InflateRectForPosition(rc, rcMargin, xtpTabPositionBottom);
    EXPECT_EQ(CRect(99, 96, 203, 202), rc);
    rc.SetRect(100, 100, 200, 200);
    CXTPTabPaintManager::InflateRectForPosition(rc, rcMargin, xtpTabPositionRight);
    EXPECT_EQ(CRect(96, 99, 202, 203), rc);
    CXTPTabPaintManager::DeflateRectForPosition(rc, rcMargin, xtpTabPositionRight);
    EXPECT_EQ(CRect(100, 100, 200, 200), rc);
}

TEST(TabPaintManagerText, ACaptionIsShortenedInItsMiddle)
{
    CWindowDC dc(NULL);
    CString strCaption("ABCDEFGHIJ");
    int nFull = dc.GetTextExtent(strCaption).cx;
    CString strShort = CXTPTabPaintManager::FormatMiddleEllipsis(&dc, strCaption, nFull * 2 / 3, DT_NOPREFIX);
    EXPECT_EQ('A', strShort[0]);
    EXPECT_EQ('J', strShort[strShort.GetLength() - 1]);
    EXPECT_GE(strShort.Find("..."), 1);
    EXPECT_LE(dc.GetTextExtent(strShort).cx, nFull * 2 / 3);
    EXPECT_EQ(strCaption, CXTPTabPaintManager::FormatMiddleEllipsis(&dc, strCaption, nFull, DT_NOPREFIX));
    EXPECT_EQ(CString("..."), CXTPTabPaintManager::FormatMiddleEllipsis(&dc, strCaption, 2, DT_NOPREFIX));
}

TEST(TabPaintManagerText, AnyTitleIsShortenedAtItsEndToTheLongestStartThatFits)
{
    // A stored pane title of 70,000 characters, as a damaged layout gives
    // it, drawn on a side bar 120 pixels long.
    CWindowDC dc(NULL);
    CString strTitle;
    for (int i = 0; i < 70000; i++)
        strTitle += (char)('a' + i % 26);
    const int nRoom = 120;
    CString strFit = CXTPTabPaintManager::FitEndEllipsis(&dc, strTitle, nRoom);
    ASSERT_GT(strFit.GetLength(), 3);
    EXPECT_EQ(CString("..."), strFit.Right(3));
    CString strStart = strFit.Left(strFit.GetLength() - 3);
    EXPECT_EQ(strTitle.Left(strStart.GetLength()), strStart);
    EXPECT_LE(dc.GetTextExtent(strFit).cx, nRoom);
    EXPECT_GT(dc.GetTextExtent(strTitle.Left(strStart.GetLength() + 1) + "...").cx, nRoom)
        << "one character more would not fit";

    // Short texts stay whole; no room leaves just the dots.
    EXPECT_EQ(CString("Grid"), CXTPTabPaintManager::FitEndEllipsis(&dc, "Grid", nRoom));
    EXPECT_EQ(CString("..."), CXTPTabPaintManager::FitEndEllipsis(&dc, strTitle, 2));
    EXPECT_EQ(CString(""), CXTPTabPaintManager::FitEndEllipsis(&dc, "", 0));
}

TEST(TabPaintManagerLayout, UprightTabsMakeTheHeaderAsDeepAsTheLongestTab)
{
    PaintManagerHolder pm;
    pm->SetLayout(xtpTabLayoutRotated);
    CPaperStrip strip(pm.p);
    strip.InsertItem(-1)->SetCaption("short");
    strip.InsertItem(-1)->SetCaption("a much longer caption");
    strip.Reposition();
    int nLongest = std::max(strip.GetItem(0)->GetButtonLength(), strip.GetItem(1)->GetButtonLength());
    EXPECT_EQ(nLongest, strip.GetHeaderRect().Height());
    EXPECT_EQ(strip.GetItem(0)->GetRect().Width(), pm->GetAppearanceSet()->GetButtonHeight(&strip));
}

TEST(TabPaintManagerLayout, VisioLeavesTheBarsAfterTheSelectedPageAtTheBottom)
{
    PaintManagerHolder pm;
    pm->SetAppearance(xtpTabAppearanceVisio);
    CPaperStrip strip(pm.p);
    strip.m_rc.SetRect(0, 0, 150, 400);
    for (int i = 0; i < 5; i++)
        strip.InsertItem(-1)->SetCaption("bar");
    strip.SetCurSel(2);
    strip.Reposition();
    int B = pm->GetAppearanceSet()->GetButtonHeight(&strip);
    EXPECT_EQ(400 - 2 * B, strip.GetItem(3)->GetRect().top);
    EXPECT_EQ(400 - B, strip.GetItem(4)->GetRect().top);
    EXPECT_EQ(1 + 2 * B, strip.GetItem(2)->GetRect().top);
    CRect rcPage = strip.GetClientRect();
    EXPECT_EQ(1 + 3 * B, rcPage.top);
    EXPECT_EQ(400 - 2 * B, rcPage.bottom);
    EXPECT_TRUE(strip.GetHeaderRect().IsRectEmpty());
}

TEST(TabPaintManagerColors, AnInactiveStripWritesEveryEnabledCaptionInTheInactiveColour)
{
    PaintManagerHolder pm;
    CPaperStrip strip(pm.p);
    CXTPTabManagerItem* pSelected = strip.InsertItem(-1);
    CXTPTabManagerItem* pOther = strip.InsertItem(-1);
    CXTPTabManagerItem* pDisabled = strip.InsertItem(-1);
    pDisabled->SetEnabled(FALSE);
    strip.SetSelectedItem(pSelected);
    CXTPTabPaintManager::CColorSet* pSet = pm->GetColorSet();
    pSet->m_clrTextInactive.SetCustomValue(RGB(1, 2, 3));
    pSet->m_clrTextSelected.SetCustomValue(RGB(4, 5, 6));

    CWindowDC dc(NULL);
    COLORREF clrOld = dc.GetTextColor();
    pSet->SetTextColor(&dc, pSelected);
    EXPECT_EQ(RGB(4, 5, 6), dc.GetTextColor());
    strip.SetActive(FALSE);
    pSet->SetTextColor(&dc, pSelected);
    EXPECT_EQ(RGB(1, 2, 3), dc.GetTextColor());
    pSet->SetTextColor(&dc, pOther);
    EXPECT_EQ(RGB(1, 2, 3), dc.GetTextColor());
    pSet->SetTextColor(&dc, pDisabled);
    EXPECT_EQ((COLORREF)pSet->m_clrTextDisabled, dc.GetTextColor());
    dc.SetTextColor(clrOld);
}

TEST(TabPaintManagerColors, WithItemColoursTheTabsAndThePageTakeTheAutomaticColours)
{
    PaintManagerHolder pm;
    pm->m_bOneNoteColors = TRUE;
    pm->SetAppearance(xtpTabAppearanceFlat);
    CPaperStrip strip(pm.p);
    for (int i = 0; i < 3; i++)
        strip.InsertItem(-1)->SetCaption("tab");
    strip.SetCurSel(1);
    strip.Reposition();

    testsupport::Canvas canvas(300, 60, RGB(0, 0, 0));
    pm->DrawTabControl(&strip, canvas.DC(), strip.m_rc);
    CRect rcPage = strip.GetClientRect();
    EXPECT_EQ(0x75DBFFu, canvas.Pixel(rcPage.CenterPoint().x, rcPage.CenterPoint().y));
    CRect rcFirst = strip.GetItem(0)->GetRect();
    EXPECT_EQ(0xE4A88Au, canvas.Pixel(rcFirst.left + 3, rcFirst.top + 3));
}

TEST(TabPaintManagerColors, TheOffice2003SetFollowsTheLunaSchemeUnlessLunaColoursAreOff)
{
    CXTPColorManager* pColors = GetColorManager();
    int nChosen = pColors->GetLunaTheme();
    PaintManagerHolder pm;
    pm->SetColor(xtpTabColorOffice2003);
    CXTPTabPaintManager::CColorSet* pSet = pm->GetColorSet();

    const COLORREF normal[3] = { 0xF6C0A2, 0xAADED0, 0xE6D9D9 };
    for (int nScheme = 1; nScheme <= 3; nScheme++)
    {
        pColors->SetLunaTheme(nScheme);
        pSet->RefreshMetrics();
        EXPECT_EQ(normal[nScheme - 1], (COLORREF)pSet->m_clrButtonNormal) << "scheme " << nScheme;
        EXPECT_EQ(0x73C2FFu, (COLORREF)pSet->m_clrButtonSelected);
    }
    pm->m_bDisableLunaColors = TRUE;
    pSet->RefreshMetrics();
    EXPECT_EQ(GetXTPSysColor(COLOR_BTNFACE), (COLORREF)pSet->m_clrButtonNormal);
    EXPECT_EQ(GetXTPSysColor(XPCOLOR_HIGHLIGHT_CHECKED), (COLORREF)pSet->m_clrButtonSelected);
    pColors->SetLunaTheme(nChosen);
}

TEST(TabPaintManagerDrawing, EveryAppearanceAndColourSetDrawsEveryPositionWithoutLeaks)
{
    const int colors[] = { xtpTabColorDefault, xtpTabColorVisualStudio, xtpTabColorOffice2003, xtpTabColorWinXP,
                           xtpTabColorWhidbey, xtpTabColorOffice2007 };
    testsupport::Canvas sheet(10 * 130, 6 * 70, RGB(255, 255, 255));
    DWORD dwBefore = testsupport::GdiHighWater();
    for (int nPass = 0; nPass < 2; nPass++)
    {
        for (int nAppearance = 0; nAppearance <= 9; nAppearance++)
        {
            for (int c = 0; c < 6; c++)
            {
                PaintManagerHolder pm;
                pm->SetAppearance(nAppearance);
                pm->SetColor(colors[c]);
                pm->SetPosition((XTPTabPosition)(c % 4));
                CPaperStrip strip(pm.p);
                strip.m_rc.SetRect(0, 0, 124, 64);
                strip.FindNavigateButton(xtpTabNavigateButtonClose)->SetShowMode(xtpTabNavigateButtonAlways);
                strip.InsertItem(-1)->SetCaption("Tab");
                strip.InsertItem(-1)->SetCaption("Second");
                strip.InsertItem(-1)->SetCaption("Third tab");
                strip.SetCurSel(1);
                strip.Reposition();
                CDC* pDC = sheet.DC();
                int nSaved = pDC->SaveDC();
                pDC->SetViewportOrg(nAppearance * 130 + 3, c * 70 + 3);
                pm->DrawTabControl(&strip, pDC, strip.m_rc);
                pDC->RestoreDC(nSaved);
            }
        }
        if (nPass == 0)
        {
            EXPECT_FALSE(testsupport::SaveSnapshot(sheet, "tab_sets").empty());
            dwBefore = testsupport::GdiHighWater();
        }
    }
    EXPECT_LE(testsupport::GdiHighWater(), dwBefore + 2);
}
} // namespace
