// The puzzle preview: its layout, the board it draws, and the placeholder.
#include "support/wndtest.h"
#include "support/canvas.h"
#include "HTPreviewCtrl.h"
#include "HTSquarePainter.h"

using testsupport::Canvas;

namespace
{
::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new testsupport::Environment);
}

TEST(HTPreviewCtrl, LaysTheBoardOutInTheMiddleFourFifths)
{
    int nSquare, nLeft, nTop;
    ASSERT_TRUE(CHTPreviewCtrl::CalcLayout(200, 300, 9, 9, nSquare, nLeft, nTop));
    EXPECT_EQ(17, nSquare);
    EXPECT_EQ(23, nLeft);
    EXPECT_EQ(73, nTop);
    ASSERT_TRUE(CHTPreviewCtrl::CalcLayout(200, 300, 17, 5, nSquare, nLeft, nTop));
    EXPECT_EQ(9, nSquare);
    // Nothing to lay out: no squares, or no room for one pixel per square.
    EXPECT_FALSE(CHTPreviewCtrl::CalcLayout(200, 300, 0, 9, nSquare, nLeft, nTop));
    EXPECT_FALSE(CHTPreviewCtrl::CalcLayout(200, 300, 9, 0, nSquare, nLeft, nTop));
    EXPECT_FALSE(CHTPreviewCtrl::CalcLayout(5, 5, 9, 9, nSquare, nLeft, nTop));
    EXPECT_FALSE(CHTPreviewCtrl::CalcLayout(0, 300, 9, 9, nSquare, nLeft, nTop));
}

TEST(HTPreviewCtrl, DrawsTheGridSmallOrThePlaceholderPicture)
{
    CHTDataContainer grid;
    grid.SetGridSize(9, 9);
    grid.ApplySquareColours(CAppearanceInfo::MakeStandardProfile());
    CHTPreviewCtrl preview;
    Canvas canvas(200, 300, RGB(0, 255, 0));
    preview.SetContainer(&grid, FALSE);
    preview.DrawPreview(canvas.DC(), CRect(0, 0, 200, 300));
    const CHTSquareData& sq = *grid.FindSquare(4, 4);
    EXPECT_EQ(RGB(198, 198, 198), canvas.Pixel(10, 10));
    EXPECT_EQ(sq.m_crSquareBorder, canvas.Pixel(23 + 4 * 17, 73 + 4 * 17 + 3));
    EXPECT_EQ(sq.m_crSquareBorder, canvas.Pixel(23 + 4 * 17 + 3, 73 + 4 * 17));

    preview.SetContainer(&grid, TRUE);
    preview.DrawPreview(canvas.DC(), CRect(0, 0, 200, 300));
    // The pause picture's panel over the middle squares.
    EXPECT_EQ(RGB(46, 64, 110), canvas.Pixel(23 + 51 + 25, 73 + 51 + 25));

    canvas.Fill(RGB(0, 255, 0));
    CHTDataContainer empty;
    preview.SetContainer(&empty, FALSE);
    preview.DrawPreview(canvas.DC(), CRect(0, 0, 200, 300));
    EXPECT_EQ(RGB(0, 255, 0), canvas.Pixel(100, 150));
}
