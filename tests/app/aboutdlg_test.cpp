// The about box: its credits, its round window, and the animation of the
// logo and the credits.
#include "support/gameapp.h"
#include "support/modal.h"
#include "support/snapshot.h"

#include "AboutDlg.h"

namespace
{
::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new testsupport::Environment);
}

TEST(FlyingAboutDlg, CreditsCarryTheVersionsAndTheBuildDate)
{
    CString strCredits = CFlyingAboutDlg::MakeCredits("v2.11", "v2.11.0000", "Jan  6 2007");
    CString strLine;
    ASSERT_TRUE(AfxExtractSubString(strLine, strCredits, 0, '\n'));
    EXPECT_EQ('\t', strLine[0]);
    EXPECT_NE(-1, strLine.Find("2006 v2.11"));
    ASSERT_TRUE(AfxExtractSubString(strLine, strCredits, 6, '\n'));
    EXPECT_STREQ("[Jan  6 2007]", strLine);
    ASSERT_TRUE(AfxExtractSubString(strLine, strCredits, 2, '\n'));
    EXPECT_STREQ("\rProgrammed by:", strLine);
}

TEST(FlyingAboutDlg, TheLogoWavesAndTheWholeCreditsScrollInARoundWindow)
{
    CFlyingAboutDlg dlg;
    int nScrollStart = 0, nScrollLater = 0, nLogoX = 0, nWidest = 0, nRoom = 0;
    bool bRegion = false;
    testsupport::ModalDriver driver([&](HWND hDlg) {
        HRGN hRgn = ::CreateRectRgn(0, 0, 0, 0);
        bRegion = ::GetWindowRgn(hDlg, hRgn) != ERROR;
        ::DeleteObject(hRgn);
        CRect rect;
        dlg.m_wndAbout.GetClientRect(&rect);
        nScrollStart = dlg.m_wndAbout.m_nTextScrollY;
        EXPECT_EQ(rect.Height(), nScrollStart);
        for (int i = 0; i < 60; i++)
            dlg.m_wndAbout.Animate();
        nScrollLater = dlg.m_wndAbout.m_nTextScrollY;
        nLogoX = dlg.m_wndAbout.m_nLogoX;
        // The credits are drawn from x 194 of the control; every line must
        // end inside it, or its last letters are cut off.
        nRoom = rect.Width() - 194;
        nWidest = dlg.m_wndAbout.m_nWidestCreditLine;
        testsupport::ModalDriver::ShowNow(hDlg);
        CRect rcAbout;
        dlg.m_wndAbout.GetClientRect(&rcAbout);
        testsupport::Canvas frame(rcAbout.Width(), rcAbout.Height());
        dlg.m_wndAbout.DrawFrame(frame.DC());
        testsupport::SaveSnapshot(frame, "about_animation");
        testsupport::SaveWindowSnapshot(hDlg, "about_box");
        testsupport::ModalDriver::Press(hDlg, IDCANCEL);
    });
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_TRUE(bRegion);
    EXPECT_EQ(nScrollStart - 60, nScrollLater);
    EXPECT_NE(0, nLogoX);
    EXPECT_GT(nWidest, 100);
    EXPECT_LE(nWidest, nRoom);
}

