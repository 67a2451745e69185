// Board painting into a DIB: layout, the colours of every state and mark,
// the pause picture, empty grids, fitted fonts, and no GDI left behind.
#include "support/wndtest.h"
#include "support/canvas.h"
#include "support/snapshot.h"
#include "ApplicationInfo.h"
#include "HTSquarePainter.h"

using testsupport::Canvas;

namespace
{
::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new testsupport::Environment);

const COLORREF kGrey = RGB(198, 198, 198);
const COLORREF kUntouched = RGB(0, 255, 0);

// A grid in the standard colours, every square unshaded and numbered.
CHTDataContainer MakeGrid(int nColumns, int nRows)
{
    CHTDataContainer grid;
    grid.SetGridSize(nColumns, nRows);
    grid.ApplySquareColours(CAppearanceInfo::MakeStandardProfile());
    grid.m_AppearanceInfo = CAppearanceInfo::MakeStandardProfile();
    for (int i = 0; i < nColumns; i++)
        for (int j = 0; j < nRows; j++)
        {
            CHTSquareData* pSquare = grid.FindSquare(i, j);
            pSquare->m_nPlayerState = htsUnshaded;
            pSquare->m_nNumber = (i + j) % 9 + 1;
        }
    return grid;
}

CHTSquareData& Square(CHTDataContainer& grid, int i, int j)
{
    return *grid.FindSquare(i, j);
}
} // namespace

TEST(DrawBoard, LaysTheSquaresOutFromTheBoardOrigin)
{
    CHTDataContainer grid = MakeGrid(15, 15);
    const CHTSquareData& sq = Square(grid, 5, 7);
    Canvas canvas(800, 600, kUntouched);
    DrawBoard(&grid, canvas.DC(), CRect(0, 0, 800, 600), 32, htrmScreen, 160, 60, FALSE);

    EXPECT_EQ(kGrey, canvas.Pixel(100, 300));                      // left of the board
    EXPECT_EQ(kGrey, canvas.Pixel(700, 300));                      // right of it
    EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(0, 0));                   // the background's outline
    EXPECT_EQ(grid.m_crBorder, canvas.Pixel(161, 300));            // the grid's border
    const int x = 160 + 5 * 32, y = 60 + 7 * 32;
    EXPECT_EQ(sq.m_crSquareBorder, canvas.Pixel(x, y + 2));        // the square's left edge
    EXPECT_EQ(sq.m_crSquareBorder, canvas.Pixel(x + 16, y));       // and its top edge
    EXPECT_EQ(sq.m_crUnshadedFill, canvas.Pixel(x + 16, y + 2));   // its face
    EXPECT_EQ(sq.m_crSquareBorder, canvas.Pixel(x + 16, y + 16));  // the unshaded cross
    EXPECT_EQ(grid.m_crBorder, canvas.Pixel(160 + 15 * 32 - 3, 300));
    EXPECT_EQ(kGrey, canvas.Pixel(160 + 15 * 32 + 2, 300));
}

TEST(DrawBoard, EachStateAndMarkShowsInItsProfileColour)
{
    CHTDataContainer grid = MakeGrid(4, 2);
    grid.m_GradeInfo.m_bShowIslandSquares = 1;
    grid.m_GradeInfo.m_bShowUnshadedDups = 1;
    grid.m_GradeInfo.m_bShowAdjacentShaded = 1;
    Square(grid, 0, 0).m_nPlayerState = htsUndecided;
    Square(grid, 1, 0).m_nPlayerState = htsShaded;
    Square(grid, 2, 0).m_bIslandMark = 1;
    Square(grid, 3, 0).m_bDuplicateMark = 1;
    Square(grid, 0, 1).m_nPlayerState = htsShaded;
    Square(grid, 0, 1).m_bAdjacencyMark = 1;
    Square(grid, 1, 1).m_nPlayerState = htsShaded;
    Square(grid, 1, 1).m_nNumber = HT_NO_NUMBER;

    const int S = 60;    // the hatch keeps 6 pixels from the edges, the grid's border 4
    auto draw = [&](Canvas& canvas) { DrawBoard(&grid, canvas.DC(), CRect(0, 0, 4 * S, 2 * S), S, htrmScreen, 0, 0, FALSE); };
    // A point of the face that neither a number, the cross nor the hatch covers.
    auto face = [&](Canvas& canvas, int i, int j) { return canvas.Pixel(i * S + 5, j * S + S / 2); };
    Canvas canvas(4 * S, 2 * S, kUntouched);
    draw(canvas);
    const CHTSquareData& ref = Square(grid, 0, 0);
    EXPECT_EQ(ref.m_crUnshadedFill, face(canvas, 0, 0));
    EXPECT_EQ(ref.m_crShadedFill, face(canvas, 1, 0));
    EXPECT_EQ(ref.m_crIslandFill, face(canvas, 2, 0));
    EXPECT_EQ(ref.m_crUnshadedDupFill, face(canvas, 3, 0));
    EXPECT_EQ(ref.m_crAdjacentShadedFill, face(canvas, 0, 1));

    // A shaded square is hatched in its number colour; one marked adjacent is not.
    auto hatchPixels = [&](Canvas& c, int i, int j, COLORREF clr) {
        int n = 0;
        for (int y = j * S + 8; y < j * S + S - 8; y++)
            for (int x = i * S + 8; x < i * S + S - 8; x++)
                n += c.Pixel(x, y) == clr;
        return n;
    };
    EXPECT_GT(hatchPixels(canvas, 1, 1, ref.m_crShadedNumber), 40);
    EXPECT_EQ(0, hatchPixels(canvas, 0, 1, ref.m_crShadedNumber));
    // A square without a number has nothing but its hatch on its face.
    EXPECT_EQ(0, hatchPixels(canvas, 1, 1, ref.m_crUnshadedNumber));

    // Without the aids the marks are drawn in the ordinary colours.
    grid.m_GradeInfo.m_bShowIslandSquares = 0;
    grid.m_GradeInfo.m_bShowUnshadedDups = 0;
    grid.m_GradeInfo.m_bShowAdjacentShaded = 0;
    draw(canvas);
    EXPECT_EQ(ref.m_crUnshadedFill, face(canvas, 2, 0));
    EXPECT_EQ(ref.m_crUnshadedFill, face(canvas, 3, 0));
    EXPECT_EQ(ref.m_crShadedFill, face(canvas, 0, 1));
}

TEST(DrawBoard, PausedBoardShowsThePausePictureAndNoSquares)
{
    CHTDataContainer grid = MakeGrid(9, 9);
    Canvas canvas(400, 400, kUntouched);
    DrawBoard(&grid, canvas.DC(), CRect(0, 0, 400, 400), 32, htrmScreen, 20, 20, TRUE);
    EXPECT_EQ(kGrey, canvas.Pixel(20 + 16, 20 + 16));             // square (0, 0) is not drawn
    EXPECT_EQ(grid.m_crBorder, canvas.Pixel(21, 200));             // the border still is
    // The picture's navy panel between its two white bars, and a bar.
    EXPECT_EQ(RGB(46, 64, 110), canvas.Pixel(20 + 3 * 32 + 48, 20 + 3 * 32 + 48));
    EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(20 + 3 * 32 + 36, 20 + 3 * 32 + 48));
}

// On a board with fewer than six columns or rows the pause picture is
// centred along that side (shrunk below three squares), never past the
// board; from six on it covers squares 3 to 5.
TEST(DrawBoard, ThePausePictureStaysInsideSmallBoards)
{
    const COLORREF kNavy = RGB(46, 64, 110);
    const int S = 32, nLeft = 40, nTop = 30;
    const struct
    {
        int nColumns, nRows;
        int x, y, nSide;   // the picture's expected place, from the board's origin
    } cases[] = {
        {9, 9, 3 * S, 3 * S, 3 * S}, {6, 6, 3 * S, 3 * S, 3 * S}, {5, 5, S, S, 3 * S},
        {4, 4, S / 2, S / 2, 3 * S}, {3, 3, 0, 0, 3 * S},          {2, 2, 0, 0, 2 * S},
        {5, 8, S, 3 * S, 3 * S},     {8, 4, 3 * S, S / 2, 3 * S},  {1, 7, 0, 3 * S, S},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.nColumns << " x " << c.nRows);
        CHTDataContainer grid = MakeGrid(c.nColumns, c.nRows);
        Canvas canvas(400, 400, kUntouched);
        DrawBoard(&grid, canvas.DC(), CRect(0, 0, 400, 400), S, htrmScreen, nLeft, nTop, TRUE);
        ::GdiFlush();
        const CRect rcBoard(nLeft, nTop, nLeft + c.nColumns * S, nTop + c.nRows * S);
        // Outside the board only the grey background (and its outline on
        // the canvas's edge) shows.
        int nOutside = 0;
        for (int y = 1; y < 399; y++)
            for (int x = 1; x < 399; x++)
                if (!rcBoard.PtInRect(CPoint(x, y)) && canvas.Pixel(x, y) != kGrey)
                    nOutside++;
        EXPECT_EQ(0, nOutside) << "pixels of the picture beyond the board";
        // The picture's navy panel at its centre and its left white bar,
        // with the grey board just before its own grey margin.
        const int x = nLeft + c.x, y = nTop + c.y;
        EXPECT_EQ(kNavy, canvas.Pixel(x + c.nSide / 2, y + c.nSide / 2));
        if (c.x > 2)
        {
            EXPECT_EQ(kGrey, canvas.Pixel(x - 2, y + c.nSide / 2));
        }
        if (c.y > 2)
        {
            EXPECT_EQ(kGrey, canvas.Pixel(x + c.nSide / 2, y - 2));
        }
        EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(x + c.nSide * 36 / 96, y + c.nSide / 2));
        if (c.nColumns == 5 && c.nRows == 5)
        {
            EXPECT_FALSE(testsupport::SaveSnapshot(canvas, "board_5x5_paused").empty());
        }
        if (c.nColumns == 4 && c.nRows == 4)
        {
            EXPECT_FALSE(testsupport::SaveSnapshot(canvas, "board_4x4_paused").empty());
        }
        if (c.nColumns == 8 && c.nRows == 4)
        {
            EXPECT_FALSE(testsupport::SaveSnapshot(canvas, "board_8x4_paused").empty());
        }
    }
}

TEST(DrawBoard, AGridWithoutSquaresOrSizeDrawsNothing)
{
    CHTDataContainer empty;
    CHTDataContainer grid = MakeGrid(9, 9);
    Canvas canvas(200, 200, kUntouched);
    DrawBoard(&empty, canvas.DC(), CRect(0, 0, 200, 200), 20, htrmScreen, 0, 0, FALSE);
    DrawBoard(&grid, canvas.DC(), CRect(0, 0, 200, 200), 0, htrmScreen, 0, 0, FALSE);
    DrawBoard(&grid, canvas.DC(), CRect(0, 0, 200, 200), -3, htrmPrint, 0, 0, TRUE);
    grid.m_nColumns = 0;
    DrawBoard(&grid, canvas.DC(), CRect(0, 0, 200, 200), 20, htrmScreen, 0, 0, FALSE);
    ::GdiFlush();
    for (int y = 0; y < 200; y += 7)
        for (int x = 0; x < 200; x += 7)
            ASSERT_EQ(kUntouched, canvas.Pixel(x, y));
}

TEST(DrawBoard, PrintModeFitsTheFontsToTheSquareAndOutlinesInGrey)
{
    Canvas canvas(120, 120, kUntouched);
    const int nNumber = FitPointFont(canvas.DC(), "Tahoma", 40, 100, 250);
    const int nSmall = FitPointFont(canvas.DC(), "Tahoma", 40, 35, 90);
    // The largest whole point size whose measured height stays below the limit.
    auto height = [&](int nTenths) {
        CFont font;
        font.CreatePointFont(nTenths, "Tahoma", canvas.DC());
        CFont* pOld = canvas.DC()->SelectObject(&font);
        TEXTMETRIC tm;
        canvas.DC()->GetTextMetrics(&tm);
        canvas.DC()->SelectObject(pOld);
        return (int)tm.tmHeight;
    };
    EXPECT_EQ(0, nNumber % 10);
    EXPECT_LT(height(nNumber), 40);
    EXPECT_GE(height(nNumber + 10), 40);
    EXPECT_LT(height(nSmall), 14);
    EXPECT_GE(height(nSmall + 10), 14);
    EXPECT_EQ(123, FitPointFont(canvas.DC(), "Tahoma", 0, 100, 123));   // nothing fits: the fallback
    // The same size as trying every size from 200 pt down, for squares of
    // every size the board uses.
    for (int nSquare = 6; nSquare <= 120; nSquare += 9)
    {
        int nTopDown = 250;
        for (int nTenths = 2000; nTenths >= 10; nTenths -= 10)
            if (height(nTenths) < nSquare)
            {
                nTopDown = nTenths;
                break;
            }
        EXPECT_EQ(nTopDown, FitPointFont(canvas.DC(), "Tahoma", nSquare, 100, 250)) << nSquare;
    }

    CHTDataContainer grid = MakeGrid(2, 2);
    CHTSquarePainter_Default printPainter(&grid, TRUE, canvas.DC(), CRect(0, 0, 40, 40), FALSE);
    CFont probe;
    probe.CreatePointFont(nNumber, "Tahoma", canvas.DC());
    LOGFONT lf;
    probe.GetLogFont(&lf);
    EXPECT_EQ(lf.lfHeight, printPainter.m_lfNumber.lfHeight);
    CHTSquarePainter_Default previewPainter(&grid, FALSE, canvas.DC(), CRect(0, 0, 40, 40), TRUE);
    probe.DeleteObject();
    probe.CreatePointFont(100, "Tahoma", canvas.DC());
    probe.GetLogFont(&lf);
    EXPECT_EQ(lf.lfHeight, previewPainter.m_lfNumber.lfHeight);

    DrawBoard(&grid, canvas.DC(), CRect(0, 0, 120, 120), 40, htrmPrint, 20, 20, FALSE);
    EXPECT_EQ(kGrey, canvas.Pixel(0, 0));
}

// Two-digit numbers of a large grid stay inside their squares, clear of the
// 4-pixel outer border that covers the edges of the outer squares: the
// number font fitted to the square's height shrinks until the widest number
// fits, on the screen, in print and in the preview. One-digit grids keep the
// font fitted to the height.
TEST(DrawBoard, TwoDigitNumbersFitTheirSquares)
{
    Canvas canvas(700, 700, kUntouched);
    auto width = [&](CFont& font, const char* pszText) {
        CFont* pOld = canvas.DC()->SelectObject(&font);
        const int cx = canvas.DC()->GetTextExtent(pszText, lstrlenA(pszText)).cx;
        canvas.DC()->SelectObject(pOld);
        return cx;
    };
    CHTDataContainer big = MakeGrid(17, 17);
    Square(big, 16, 0).m_nNumber = 17;
    for (int nSquare : {12, 20, 29, 40, 60})
    {
        // The size the frame fits to a square of this height.
        big.m_AppearanceInfo.m_nMainFontSize = FitPointFont(canvas.DC(), "Tahoma", nSquare, 100, 250) / 10;
        const CRect rcSquare(0, 0, nSquare, nSquare);
        const int nRoom = nSquare - 2 * (nSquare / 6 < 5 ? nSquare / 6 : 5);
        CHTSquarePainter_Default screen(&big, FALSE, canvas.DC(), rcSquare, FALSE);
        CHTSquarePainter_Default print(&big, TRUE, canvas.DC(), rcSquare, FALSE);
        CHTSquarePainter_Default preview(&big, FALSE, canvas.DC(), rcSquare, TRUE);
        EXPECT_LE(width(screen.m_fontNumber, "17"), nRoom) << nSquare;
        EXPECT_LE(width(print.m_fontNumber, "17"), nRoom) << nSquare;
        EXPECT_LE(width(preview.m_fontNumber, "17"), nRoom) << nSquare;
    }

    // A 9 x 9 grid: its numbers fit at the height's size, which stays.
    CHTDataContainer small = MakeGrid(9, 9);
    small.m_AppearanceInfo.m_nMainFontSize = FitPointFont(canvas.DC(), "Tahoma", 29, 100, 250) / 10;
    CHTSquarePainter_Default screen(&small, FALSE, canvas.DC(), CRect(0, 0, 29, 29), FALSE);
    CFont probe;
    probe.CreatePointFont(small.m_AppearanceInfo.m_nMainFontSize * 10, "Tahoma", canvas.DC());
    LOGFONT lf;
    probe.GetLogFont(&lf);
    EXPECT_EQ(lf.lfHeight, screen.m_lfNumber.lfHeight);

    for (int i = 0; i < 17; i++)
        for (int j = 0; j < 17; j++)
        {
            Square(big, i, j).m_nPlayerState = htsUndecided;
            Square(big, i, j).m_nNumber = (i + 2 * j) % 17 + 1;
        }
    big.m_AppearanceInfo.m_nMainFontSize = FitPointFont(canvas.DC(), "Tahoma", 36, 100, 250) / 10;
    DrawBoard(&big, canvas.DC(), CRect(0, 0, 700, 700), 36, htrmScreen, 20, 20, FALSE);
    EXPECT_FALSE(testsupport::SaveSnapshot(canvas, "board_17x17").empty());

    // The squares kept from one board are not taken for the next when its
    // numbers are drawn in another size: a 9 x 9 board at the same profile
    // size right after the 17 x 17 one looks as it does after another board.
    small.m_AppearanceInfo.m_nMainFontSize = big.m_AppearanceInfo.m_nMainFontSize;
    for (int i = 0; i < 9; i++)
        for (int j = 0; j < 9; j++)
            Square(small, i, j).m_nPlayerState = htsUndecided;
    Canvas alone(360, 360, kUntouched), after(360, 360, kUntouched);
    DrawBoard(&small, alone.DC(), CRect(0, 0, 360, 360), 37, htrmScreen, 0, 0, FALSE);
    DrawBoard(&small, alone.DC(), CRect(0, 0, 360, 360), 36, htrmScreen, 10, 10, FALSE);
    DrawBoard(&small, after.DC(), CRect(0, 0, 360, 360), 37, htrmScreen, 0, 0, FALSE);
    DrawBoard(&big, canvas.DC(), CRect(0, 0, 700, 700), 36, htrmScreen, 20, 20, FALSE);
    DrawBoard(&small, after.DC(), CRect(0, 0, 360, 360), 36, htrmScreen, 10, 10, FALSE);
    int nDiffering = 0;
    for (int y = 0; y < 360; y++)
        for (int x = 0; x < 360; x++)
            nDiffering += alone.Pixel(x, y) != after.Pixel(x, y) ? 1 : 0;
    EXPECT_EQ(0, nDiffering);
}

TEST(DrawBoard, ARepaintShowsEveryChangeAndAlikeSquaresStayAlike)
{
    // Squares alike are drawn once and copied, also from one board to the
    // next: a changed square must still show its change.
    CHTDataContainer grid = MakeGrid(3, 3);
    const int S = 60;
    Canvas first(3 * S, 3 * S, kUntouched), second(3 * S, 3 * S, kUntouched);
    DrawBoard(&grid, first.DC(), CRect(0, 0, 3 * S, 3 * S), S, htrmScreen, 0, 0, FALSE);
    Square(grid, 1, 1).m_nPlayerState = htsShaded;
    Square(grid, 2, 2).m_nNumber = 4;
    g_ApplicationInfo.m_bDisplayDebugInfo = 1;
    DrawBoard(&grid, second.DC(), CRect(0, 0, 3 * S, 3 * S), S, htrmScreen, 0, 0, FALSE);
    g_ApplicationInfo.m_bDisplayDebugInfo = 0;
    const CHTSquareData& ref = Square(grid, 0, 0);
    EXPECT_EQ(ref.m_crUnshadedFill, first.Pixel(S + 5, S + S / 2));
    EXPECT_EQ(ref.m_crShadedFill, second.Pixel(S + 5, S + S / 2));
    auto region = [&](Canvas& c, int i, int j) {
        std::vector<COLORREF> pixels;
        for (int y = j * S + 6; y < j * S + S; y++)
            for (int x = i * S + 6; x < i * S + S; x++)
                pixels.push_back(c.Pixel(x, y));
        return pixels;
    };
    EXPECT_NE(region(first, 2, 2), region(second, 2, 2));   // 4 instead of 5
    EXPECT_NE(region(first, 1, 0), region(second, 1, 0));   // the debug letters
    // Squares (0, 1) and (1, 0) show the same number and state: alike.
    DrawBoard(&grid, second.DC(), CRect(0, 0, 3 * S, 3 * S), S, htrmScreen, 0, 0, FALSE);
    EXPECT_EQ(region(second, 0, 1), region(second, 1, 0));
}

TEST(DrawBoard, LeavesNoGdiObjectBehind)
{
    CHTDataContainer grid = MakeGrid(9, 9);
    Canvas canvas(300, 300, kUntouched);
    DrawBoard(&grid, canvas.DC(), CRect(0, 0, 300, 300), 30, htrmScreen, 10, 10, FALSE);
    const DWORD dwBefore = testsupport::GdiHighWater();
    for (int nMode = htrmScreen; nMode <= htrmBookDisconnected; nMode++)
        DrawBoard(&grid, canvas.DC(), CRect(0, 0, 300, 300), 30, nMode, 10, 10, nMode == htrmClipboard);
    EXPECT_EQ(dwBefore, testsupport::GdiHighWater());
}

TEST(DrawBoard, SnapshotOfAPlayedBoardWithMarks)
{
    CHTDataContainer grid = MakeGrid(9, 9);
    grid.m_GradeInfo.m_bShowIslandSquares = 1;
    grid.m_GradeInfo.m_bShowUnshadedDups = 1;
    grid.m_GradeInfo.m_bShowAdjacentShaded = 1;
    const int shaded[][2] = {{1, 0}, {3, 1}, {0, 2}, {5, 4}, {7, 6}, {2, 8}, {6, 3}, {6, 4}};
    for (const auto& s : shaded)
        Square(grid, s[0], s[1]).m_nPlayerState = htsShaded;
    Square(grid, 6, 3).m_bAdjacencyMark = Square(grid, 6, 4).m_bAdjacencyMark = 1;
    Square(grid, 4, 4).m_nPlayerState = htsUndecided;
    Square(grid, 8, 0).m_nPlayerState = htsUndecided;
    Square(grid, 2, 5).m_bDuplicateMark = Square(grid, 2, 7).m_bDuplicateMark = 1;
    Square(grid, 8, 8).m_bIslandMark = 1;
    Canvas canvas(420, 420, kUntouched);
    DrawBoard(&grid, canvas.DC(), CRect(0, 0, 420, 420), 44, htrmScreen, 12, 12, FALSE);
    EXPECT_FALSE(testsupport::SaveSnapshot(canvas, "board_9x9_marks").empty());
    DrawBoard(&grid, canvas.DC(), CRect(0, 0, 420, 420), 44, htrmScreen, 12, 12, TRUE);
    EXPECT_FALSE(testsupport::SaveSnapshot(canvas, "board_9x9_paused").empty());
}
