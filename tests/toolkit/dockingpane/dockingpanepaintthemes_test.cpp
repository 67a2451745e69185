// Every docking theme draws a frame with docked panes (a tabbed pair and a
// single pane), their captions, tabs, buttons and splitters, and a floating
// window's frame, without losing GDI objects. Snapshots of each go to the
// snapshot folder.
#include "support/dockingframe.h"
#include "support/gdi_count.h"
#include "support/snapshot.h"
#include "support/wndtest.h"
#include "support/pump.h"

#include <XTPDockingPaneMiniWnd.h>
#include <XTPDockingPanePaintThemes.h>

#include <gtest/gtest.h>

using testsupport::CDockingTestFrame;

namespace
{
::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new testsupport::Environment);

const char* const kThemeNames[] = { "default",  "office",         "office2003", "nativexp",
                                    "grippered", "visio",         "whidbey",    "shortcutbar2003",
                                    "explorer",  "visualstudio2005", "office2007" };

class ThemesTest : public testsupport::DockingFrameTest
{
protected:
    void SetUp() override
    {
        CreateFrame(CSize(560, 360), xtpPaneThemeOffice2003);
        CXTPDockingPaneManager& m = manager();
        CXTPDockingPane* pAppearance = m.CreatePane(1000, CRect(0, 0, 200, 120), xtpPaneDockLeft);
        pAppearance->SetTitle("This puzzle's Appearance Info\nAppearance");
        CXTPDockingPane* pDifficulty = m.CreatePane(1001, CRect(0, 0, 200, 120), xtpPaneDockLeft);
        pDifficulty->SetTitle("This puzzle's Difficulty Info\nDifficulty");
        CXTPDockingPane* pOutput = m.CreatePane(1002, CRect(0, 0, 200, 90), xtpPaneDockBottom);
        pOutput->SetTitle("Notes");
        m.AttachPane(pDifficulty, pAppearance);
        m.ShowPane(pAppearance, FALSE);
        Layout();
    }
    // The frame in one theme, and a floating window's frame beside it.
    void DrawTheme(int nTheme, testsupport::Canvas& canvas, CXTPDockingPaneMiniWnd* pMini)
    {
        pFrame->m_paneManager.SetTheme(nTheme);
        Layout();
        testsupport::DrawDockingFrame(pFrame, canvas);
        if (pMini != NULL)
        {
            CDC* pDC = canvas.DC();
            int nSaved = pDC->SaveDC();
            pDC->SetViewportOrg(400, 250);
            pFrame->m_paneManager.GetPaintManager()->DrawFloatingFrame(pDC, pMini, CRect(0, 0, 150, 100));
            pDC->RestoreDC(nSaved);
        }
    }
};

TEST_F(ThemesTest, EveryThemeDrawsTheFrameAndAFloatingWindowWithoutLosingGdiObjects)
{
    CXTPDockingPaneManager& m = pFrame->m_paneManager;
    CXTPDockingPane* pFloating = m.CreatePane(1003, CRect(0, 0, 150, 100), xtpPaneDockRight);
    pFloating->SetTitle("Floating");
    Layout();
    CXTPDockingPaneMiniWnd* pMini = m.FloatPane(pFloating, CRect(600, 100, 750, 200));
    ASSERT_TRUE(pMini != NULL);
    Layout();

    testsupport::Canvas canvas(560, 360);
    for (int nTheme = 0; nTheme <= 10; nTheme++)
    {
        canvas.Fill(RGB(255, 0, 255));
        DrawTheme(nTheme, canvas, pMini);
        EXPECT_FALSE(testsupport::SaveSnapshot(canvas, std::string("frame_") + kThemeNames[nTheme]).empty());
        // The view's place was painted, and the caption strip is not the
        // background any more.
        EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(400, 100)) << kThemeNames[nTheme];
        EXPECT_NE(RGB(255, 0, 255), canvas.Pixel(50, 6)) << kThemeNames[nTheme];
    }

    DWORD dwBefore = testsupport::GdiHighWater();
    for (int nTheme = 0; nTheme <= 10; nTheme++)
        DrawTheme(nTheme, canvas, pMini);
    EXPECT_LE(testsupport::GdiHighWater(), dwBefore + 2);
}

TEST_F(ThemesTest, TheOffice2003ThemeInTheBlueSchemeWithAnActivePane)
{
    CXTPColorManager* pColors = GetColorManager();
    int nChosen = pColors->GetLunaTheme();
    pColors->SetLunaTheme(xtpSystemThemeBlue);
    CXTPDockingPane* pPane = pFrame->m_paneManager.FindPane(1002);
    CXTPDockingPaneTabbedContainer* pContainer = (CXTPDockingPaneTabbedContainer*)pPane->GetContainer();
    pContainer->SetActive(TRUE);

    testsupport::Canvas canvas(560, 360);
    DrawTheme(xtpPaneThemeOffice2003, canvas, NULL);
    EXPECT_FALSE(testsupport::SaveSnapshot(canvas, "frame_office2003_blue").empty());
    CRect rcContainer = testsupport::ChildRect(pContainer->m_hWnd);
    // The active caption's orange gradient.
    COLORREF clr = canvas.Pixel(rcContainer.left + 60, rcContainer.top + 3);
    EXPECT_GT(GetRValue(clr), 200);
    EXPECT_LT(GetBValue(clr), 160);
    pContainer->SetActive(FALSE);
    pColors->SetLunaTheme(nChosen);
    RefreshColorManager();
}

TEST_F(ThemesTest, TheOffice2003CaptionStartsWithAGripperOnlyWhenThereIsRoom)
{
    auto* pTheme = dynamic_cast<CXTPDockingPaneOffice2003Theme*>(pFrame->m_paneManager.GetPaintManager());
    ASSERT_TRUE(pTheme != NULL);
    testsupport::Canvas canvas(100, 40, RGB(255, 255, 255));
    CXTPDockingPane* pPane = pFrame->m_paneManager.FindPane(1002);
    pTheme->DrawCaptionPart(canvas.DC(), pPane->GetContainer(), CRect(0, 0, 80, 20), "", FALSE, FALSE);
    EXPECT_EQ(pTheme->GetColor(XPCOLOR_TOOLBAR_GRIPPER), canvas.Pixel(5, 5));

    canvas.Fill(RGB(255, 255, 255));
    pTheme->DrawCaptionPart(canvas.DC(), pPane->GetContainer(), CRect(0, 0, 80, 8), "", FALSE, FALSE);
    EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(5, 5));   // too thin for dots
}
} // namespace
