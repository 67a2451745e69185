// The Print Puzzle Book dialog of the running game at the text sizes a
// player may choose (96, 120 and 144 dots per inch): every label stands on
// one line, whole, as a picture of the screen shows.
// ctest: run-serial
// ctest: lock registry
#include "brindlemark_fixture.h"

#include "support/logpixels.h"
#include "support/snapshot.h"

#include <algorithm>
#include <string>
#include <vector>

using namespace gametest;

namespace
{
// Where a window shows ink on the screen (pixels darker than mid grey):
// the first and last rows and columns with any, relative to the window;
// -1 when there is none.
struct InkExtent
{
    int nTop = -1, nBottom = -1, nLeft = -1, nRight = -1;
};

InkExtent InkOnScreen(HWND hWnd)
{
    RECT rc;
    ::GetWindowRect(hWnd, &rc);
    const int cx = rc.right - rc.left, cy = rc.bottom - rc.top;
    InkExtent ink;
    if (cx <= 0 || cy <= 0)
        return ink;
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = cx;
    bmi.bmiHeader.biHeight = -cy;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    void* pBits = NULL;
    HDC hScreen = ::GetDC(NULL);
    HBITMAP hBitmap = ::CreateDIBSection(hScreen, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
    HDC hMem = ::CreateCompatibleDC(hScreen);
    HGDIOBJ hOld = ::SelectObject(hMem, hBitmap);
    ::BitBlt(hMem, 0, 0, cx, cy, hScreen, rc.left, rc.top, SRCCOPY);
    ::GdiFlush();
    const DWORD* pPixels = (const DWORD*)pBits;
    for (int y = 0; pPixels != NULL && y < cy; y++)
    {
        for (int x = 0; x < cx; x++)
        {
            const DWORD c = pPixels[(size_t)y * cx + x];
            if (((c >> 16) & 0xFF) * 30 + ((c >> 8) & 0xFF) * 59 + (c & 0xFF) * 11 >= 128 * 100)
                continue;
            if (ink.nTop < 0)
                ink.nTop = y;
            ink.nBottom = y;
            ink.nLeft = ink.nLeft < 0 ? x : std::min(ink.nLeft, x);
            ink.nRight = std::max(ink.nRight, x);
        }
    }
    ::SelectObject(hMem, hOld);
    ::DeleteDC(hMem);
    ::DeleteObject(hBitmap);
    ::ReleaseDC(NULL, hScreen);
    return ink;
}
} // namespace

TEST_F(Brindlemark, PrintPuzzleBookLabelsStandOnOneLineAtEveryTextSize)
{
    const char* const labels[] = {"Number Of Puzzles:", "Puzzles Per Page:", "Appearance Profile:",
                                  "Difficulty Profile:", "Print Solutions:"};
    for (UINT nDpi : {96u, 120u, 144u})
    {
        SCOPED_TRACE(nDpi);
        testsupport::LogPixelsSetting dpi(nDpi);
        ASSERT_TRUE(dpi.IsSet());
        Game game;
        ASSERT_TRUE(game.Frame() != NULL);
        HWND hFrame = game.Frame();
        ::SetForegroundWindow(hFrame);
        ChooseWithKeys(hFrame, 'F', {VK_END, VK_UP, VK_RETURN});
        HWND hDialog = WaitForDialogOtherThan(game.Pid(), NULL);
        ASSERT_TRUE(hDialog != NULL) << "File > Print Puzzle Book... opened nothing";
        ASSERT_EQ("Print Puzzle Book", WindowText(hDialog));
        Wait(700);
        EXPECT_FALSE(
            testsupport::SaveScreenSnapshot(hDialog, "print_book_dpi_" + std::to_string(nDpi)).empty());

        // The dialog's font at this size (Tahoma, 8 points): one line of it
        // and each label's text on one line.
        HDC hDC = ::GetDC(NULL);
        HFONT hFont = ::CreateFontA(-::MulDiv(8, (int)nDpi, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                    DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                    DEFAULT_PITCH, "Tahoma");
        HGDIOBJ hOldFont = ::SelectObject(hDC, hFont);
        TEXTMETRICA tm = {};
        ::GetTextMetricsA(hDC, &tm);
        for (const char* pszLabel : labels)
        {
            SCOPED_TRACE(pszLabel);
            const std::vector<HWND> found = Descendants(hDialog, pszLabel, "Static");
            ASSERT_EQ(1u, found.size());
            SIZE size = {};
            ::GetTextExtentPoint32A(hDC, pszLabel, (int)strlen(pszLabel), &size);
            RECT rcLabel;
            ::GetClientRect(found[0], &rcLabel);
            EXPECT_LE(size.cx, rcLabel.right) << "the label is narrower than its text";
            // On the screen: the ink lies within one line's height and
            // spans about the whole text's width (a text that wraps has ink
            // on two lines, or, in a label one line high, lacks its end).
            const InkExtent ink = InkOnScreen(found[0]);
            ASSERT_GE(ink.nTop, 0) << "nothing drawn";
            EXPECT_LE(ink.nBottom - ink.nTop + 1, (int)tm.tmHeight)
                << "ink from row " << ink.nTop << " to " << ink.nBottom << ", a line is " << tm.tmHeight;
            EXPECT_GE(ink.nRight - ink.nLeft + 1, size.cx - 2 * tm.tmAveCharWidth)
                << "ink " << ink.nRight - ink.nLeft + 1 << " wide, the text " << size.cx;
        }
        ::SelectObject(hDC, hOldFont);
        ::DeleteObject(hFont);
        ::ReleaseDC(NULL, hDC);

        ::PostMessage(hDialog, WM_COMMAND, IDCANCEL, 0);
        EXPECT_TRUE(WaitUntilGone(hDialog));
        EXPECT_EQ(0, game.Close());
    }
}
