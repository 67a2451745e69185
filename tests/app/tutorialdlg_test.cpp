// The tutorial: its eight pages and their pictures, paging with Prev and
// Next within the pages, and the pictures that alternate every second.
#include "support/gameapp.h"
#include "support/modal.h"
#include "support/snapshot.h"

#include "TutorialDlg.h"

#include <cstdio>
#include <string>

namespace
{
::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new testsupport::Environment);

SIZE PictureSize(UINT nID)
{
    SIZE size = {0, 0};
    HBITMAP hBitmap = ::LoadBitmapA(::GetModuleHandle(NULL), MAKEINTRESOURCEA(nID));
    BITMAP bm;
    if (hBitmap != NULL && ::GetObject(hBitmap, sizeof(bm), &bm))
    {
        size.cx = bm.bmWidth;
        size.cy = bm.bmHeight;
    }
    if (hBitmap != NULL)
        ::DeleteObject(hBitmap);
    return size;
}
} // namespace

TEST(TutorialDlg, EveryPageHasItsPictures)
{
    for (UINT nID = 2058; nID <= 2072; nID++)
    {
        SIZE size = PictureSize(nID);
        EXPECT_EQ(659, size.cx) << nID;
        EXPECT_EQ(453, size.cy) << nID;
    }
    EXPECT_EQ(2058u, CTutorialDlg::GetPictureID(0, 0));
    EXPECT_EQ(2072u, CTutorialDlg::GetPictureID(7, 0));
}

// A picture's caption shows whole: the two rows at the foot of the picture
// area (x 362 to 645, above y 404) stay clear of its text. A caption cut off
// by that edge leaves the cut glyphs there.
TEST(TutorialDlg, EveryCaptionShowsWholeAboveTheFootOfItsPicture)
{
    HDC hScreen = ::GetDC(NULL);
    HDC hDC = ::CreateCompatibleDC(hScreen);
    ::ReleaseDC(NULL, hScreen);
    for (UINT nID = 2058; nID <= 2072; nID++)
    {
        HBITMAP hBitmap = ::LoadBitmapA(::GetModuleHandle(NULL), MAKEINTRESOURCEA(nID));
        ASSERT_TRUE(hBitmap != NULL) << nID;
        HGDIOBJ hOld = ::SelectObject(hDC, hBitmap);
        int nDark = 0;
        for (int y = 402; y < 404; y++)
            for (int x = 362; x < 646; x++)
            {
                const COLORREF cr = ::GetPixel(hDC, x, y);
                if (GetRValue(cr) + GetGValue(cr) + GetBValue(cr) < 3 * 200)
                    nDark++;
            }
        EXPECT_EQ(0, nDark) << "picture " << nID;
        ::SelectObject(hDC, hOld);
        ::DeleteObject(hBitmap);
    }
    ::DeleteDC(hDC);
}

TEST(TutorialDlg, NextStopsAtTheLastPageAndTheTimerAlternatesPictures)
{
    struct Seen
    {
        int nPage, nFrame;
        bool bPrev, bNext;
    };
    std::vector<Seen> seen;
    CTutorialDlg dlg;
    auto record = [&]() {
        seen.push_back({dlg.m_nPage, dlg.m_nFrame, dlg.m_btnPrev.IsWindowEnabled() != FALSE,
                        dlg.m_btnNext.IsWindowEnabled() != FALSE});
    };
    testsupport::ModalDriver driver([&](HWND hDlg) {
        record();
        // Two ticks of the frame timer on page 0: 1, then 0 again.
        dlg.OnTimer(1);
        record();
        dlg.OnTimer(1);
        record();
        dlg.OnTimer(1);
        testsupport::ModalDriver::ShowNow(hDlg);
        testsupport::SaveWindowSnapshot(hDlg, "tutorial_page1");
        // Next ten times: the pages end at 7, always at frame 0.
        for (int i = 0; i < 10; i++)
            ::SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDC_TUTORIAL_NEXT, BN_CLICKED), 0);
        record();
        // The last page has one picture: the timer keeps showing it.
        dlg.OnTimer(1);
        record();
        testsupport::ModalDriver::ShowNow(hDlg);
        testsupport::SaveWindowSnapshot(hDlg, "tutorial_page8");
        ::SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDC_TUTORIAL_PREV, BN_CLICKED), 0);
        record();
        testsupport::ModalDriver::Press(hDlg, IDCANCEL);
    });
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    ASSERT_EQ(6u, seen.size());
    EXPECT_EQ(0, seen[0].nPage);
    EXPECT_FALSE(seen[0].bPrev);
    EXPECT_TRUE(seen[0].bNext);
    EXPECT_EQ(1, seen[1].nFrame);
    EXPECT_EQ(0, seen[2].nFrame);
    EXPECT_EQ(7, seen[3].nPage);
    EXPECT_EQ(0, seen[3].nFrame);
    EXPECT_TRUE(seen[3].bPrev);
    EXPECT_FALSE(seen[3].bNext);
    EXPECT_EQ(0, seen[4].nFrame);
    EXPECT_EQ(6, seen[5].nPage);
    EXPECT_TRUE(seen[5].bNext);
}

// Paging with the keyboard: a button disabled while it holds the focus
// hands it on (the last page's Next to Close, the first page's Prev to the
// default Next), so the keys keep working.
TEST(TutorialDlg, AButtonDisabledWithTheFocusHandsItOn)
{
    CTutorialDlg dlg;
    HWND hFocusLast = NULL, hFocusFirst = NULL, hClose = NULL, hNext = NULL;
    testsupport::ModalDriver driver([&](HWND hDlg) {
        hClose = ::GetDlgItem(hDlg, IDCANCEL);
        hNext = ::GetDlgItem(hDlg, IDC_TUTORIAL_NEXT);
        testsupport::ModalDriver::ShowNow(hDlg);
        ::SetForegroundWindow(hDlg);
        ::SendMessage(hDlg, WM_NEXTDLGCTL, (WPARAM)hNext, TRUE);
        if (::GetFocus() != hNext)
            ADD_FAILURE() << "Next did not take the focus";
        for (int i = 0; i < 7; i++)
            ::SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDC_TUTORIAL_NEXT, BN_CLICKED), (LPARAM)hNext);
        hFocusLast = ::GetFocus();
        ::SendMessage(hDlg, WM_NEXTDLGCTL, (WPARAM)::GetDlgItem(hDlg, IDC_TUTORIAL_PREV), TRUE);
        for (int i = 0; i < 7; i++)
            ::SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDC_TUTORIAL_PREV, BN_CLICKED), 0);
        hFocusFirst = ::GetFocus();
        testsupport::ModalDriver::Press(hDlg, IDCANCEL);
    });
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_EQ(0, dlg.m_nPage);
    EXPECT_TRUE(hFocusLast == hClose) << "the last page: Close has the focus";
    EXPECT_TRUE(hFocusFirst == hNext) << "the first page: Next, the default button, has the focus";
}

// The first page states the rules as the game applies them: it accepts any
// shading that keeps the three rules, and the generator promises no single
// answer, so the page must not claim one. (The pages are drawn from this
// text when the program is built.)
TEST(TutorialText, TheFirstPagePromisesNoSingleAnswer)
{
    char szPath[MAX_PATH];
    ::GetModuleFileName(NULL, szPath, MAX_PATH);
    std::string strPath(szPath);
    for (int i = 0; i < 4; i++)
        strPath = strPath.substr(0, strPath.find_last_of('\\'));
    FILE* pFile = fopen((strPath + "\\resources\\game_tutorial.txt").c_str(), "rb");
    if (pFile == NULL)
        GTEST_SKIP() << "the sources are not beside the build folder";
    std::string strText;
    char szChunk[4096];
    size_t n;
    while ((n = fread(szChunk, 1, sizeof(szChunk), pFile)) > 0)
        strText.append(szChunk, n);
    fclose(pFile);
    EXPECT_EQ(std::string::npos, strText.find("exactly one answer"));
    EXPECT_EQ(std::string::npos, strText.find("its solution"));
    EXPECT_NE(std::string::npos, strText.find("more than one answer"));
}
