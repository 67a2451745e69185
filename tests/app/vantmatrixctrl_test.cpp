// The clock's dot-matrix display: the glyph strip resource, recolouring and
// drawing.
#include "support/wndtest.h"
#include "support/snapshot.h"
#include "VantMatrixCtrl.h"
#include "resource.h"

using testsupport::Canvas;

namespace
{
::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new testsupport::Environment);

const int kGlyphWidth = 22;

// The strip as the display loads it.
HBITMAP LoadStrip()
{
    return (HBITMAP)::LoadImageA(::GetModuleHandle(NULL), MAKEINTRESOURCEA(IDB_CLOCK_DIGITS), IMAGE_BITMAP, 0, 0,
                                 LR_CREATEDIBSECTION);
}

// The centre of dot (column, row) of glyph n in strip coordinates.
CPoint DotCentre(int nGlyph, int nColumn, int nRow)
{
    return CPoint(nGlyph * kGlyphWidth + 1 + nColumn * 4 + 1, 2 + nRow * 4 + 1);
}

// A display window on a plain parent, as the Timer toolbar hosts it.
struct DisplayWindow
{
    CWnd parent;
    DisplayWindow()
    {
        parent.CreateEx(0, AfxRegisterWndClass(0), "clock host", WS_POPUP, CRect(0, 0, 300, 100), NULL, 0);
    }
    ~DisplayWindow() { parent.DestroyWindow(); }
};
} // namespace

TEST(ClockGlyphStrip, IsTwelveGlyphsOfPureRedAndBlueDotsOnBlack)
{
    HBITMAP hStrip = LoadStrip();
    ASSERT_TRUE(hStrip != NULL);
    DIBSECTION ds;
    ASSERT_EQ((int)sizeof(ds), ::GetObject(hStrip, sizeof(ds), &ds));
    EXPECT_EQ(267, ds.dsBm.bmWidth);
    EXPECT_EQ(31, ds.dsBm.bmHeight);
    EXPECT_EQ(8, ds.dsBmih.biBitCount);

    CColourChangeBitmap copy;
    ASSERT_TRUE(copy.CreateFromBitmap(hStrip));
    DWORD* pBits = copy.GetBits();
    int nRed = 0, nBlue = 0, nOther = 0;
    for (int i = 0; i < 267 * 31; i++)
    {
        if (pBits[i] == 0x00FF0000)
            nRed++;
        else if (pBits[i] == 0x000000FF)
            nBlue++;
        else if (pBits[i] != 0)
            nOther++;
    }
    EXPECT_EQ(0, nOther);
    // 12 glyphs of 35 dots of 3 x 3 pixels.
    EXPECT_EQ(12 * 35 * 9, nRed + nBlue);

    // The section is bottom-up: row y of the picture is row 30 - y.
    auto at = [&](CPoint pt) { return pBits[(30 - pt.y) * 267 + pt.x]; };
    // '8': top row .###.
    EXPECT_EQ(0x000000FFu, at(DotCentre(8, 0, 0)));
    EXPECT_EQ(0x00FF0000u, at(DotCentre(8, 1, 0)));
    // ':' (index 10) has its dots in the middle column only.
    EXPECT_EQ(0x00FF0000u, at(DotCentre(10, 2, 1)));
    EXPECT_EQ(0x000000FFu, at(DotCentre(10, 1, 1)));
    // '-' (index 11) is the middle row.
    EXPECT_EQ(0x00FF0000u, at(DotCentre(11, 0, 3)));
    EXPECT_EQ(0x000000FFu, at(DotCentre(11, 0, 2)));
    // Between the dots, and the three columns after the last glyph, black.
    EXPECT_EQ(0u, at(CPoint(4, 5)));
    EXPECT_EQ(0u, at(CPoint(266, 15)));
    ::DeleteObject(hStrip);
}

TEST(ColourChangeBitmap, ReplacesOnlyTheGivenPixelAndRefusesWithoutPixels)
{
    CColourChangeBitmap empty;
    EXPECT_FALSE(empty.ReplaceColour(0, 1));
    EXPECT_FALSE(empty.CreateFromBitmap(NULL));

    HBITMAP hStrip = LoadStrip();
    CColourChangeBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateFromBitmap(hStrip));
    ::DeleteObject(hStrip);   // the copy does not need the source any more
    EXPECT_TRUE(bitmap.ReplaceColour(0x00FF0000, 0x00123456));
    int nReplaced = 0, nRed = 0;
    for (int i = 0; i < 267 * 31; i++)
    {
        nReplaced += bitmap.GetBits()[i] == 0x00123456;
        nRed += bitmap.GetBits()[i] == 0x00FF0000;
    }
    EXPECT_GT(nReplaced, 0);
    EXPECT_EQ(0, nRed);
    EXPECT_EQ(0x00FF8040u, CColourChangeBitmap::ToSectionPixel(RGB(255, 128, 64)));
}

TEST(VantMatrixCtrl, LoadingTheStripSizesTheDisplayForEightGlyphs)
{
    DisplayWindow host;
    CVantTimerCtrl clock;
    ASSERT_TRUE(clock.CreateEx(WS_EX_CLIENTEDGE, "STATIC", "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 175, 40),
                               &host.parent, 2028));
    EXPECT_TRUE(clock.LoadDigitBitmap());
    CRect rect;
    clock.GetWindowRect(&rect);
    EXPECT_EQ(182, rect.Width());
    EXPECT_EQ(35, rect.Height());
    clock.DestroyWindow();
}

TEST(VantMatrixCtrl, ColoursNeverCollideWithTheStripColours)
{
    // Black lit dots are drawn as (1, 1, 1), so the later replacement of the
    // strip's black by the background does not take them; a pure blue off
    // colour likewise survives the replacement of the strip's blue.
    CVantTimerCtrl clock;
    clock.m_crOn = RGB(0, 0, 0);
    clock.m_crOff = RGB(0, 0, 255);
    clock.m_crBackground = RGB(255, 255, 255);
    ASSERT_TRUE(clock.LoadDigitBitmap());
    clock.SetTime(8, 0, 0);

    Canvas canvas(182, 35);
    clock.DrawMatrix(canvas.DC(), CRect(0, 0, 178, 31));
    CPoint lit = DotCentre(0, 1, 0), unlit = DotCentre(0, 0, 0);   // the first '0': top row .###.
    EXPECT_EQ(RGB(1, 1, 1), canvas.Pixel(lit.x, lit.y));
    EXPECT_EQ(RGB(1, 1, 255), canvas.Pixel(unlit.x, unlit.y));
    EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(4, 5));
}

TEST(VantTimerCtrl, ShowsHoursMinutesAndSecondsFromTheLeft)
{
    CVantTimerCtrl clock;
    clock.m_crOn = RGB(0, 255, 0);
    clock.m_crOff = RGB(0, 64, 0);
    clock.m_crBackground = RGB(0, 0, 0);
    ASSERT_TRUE(clock.LoadDigitBitmap());

    // A change of the hours alone is stored and shown.
    clock.SetTime(1, 2, 5);
    clock.SetTime(2, 2, 5);
    EXPECT_EQ(2, clock.m_nHours);

    Canvas canvas(200, 31, RGB(255, 0, 255));
    clock.DrawMatrix(canvas.DC(), CRect(0, 0, 200, 31));
    testsupport::SaveSnapshot(canvas, "clock_02_02_05");
    // "02:02:05": glyph 1 is '2' (top row .###.), glyph 2 the colon, glyph 7
    // '5' (#####); every channel of 0 is drawn as 1.
    CPoint two = DotCentre(1, 0, 0), twoLit = DotCentre(1, 1, 0);
    EXPECT_EQ(RGB(1, 64, 1), canvas.Pixel(two.x, two.y));
    EXPECT_EQ(RGB(1, 255, 1), canvas.Pixel(twoLit.x, twoLit.y));
    CPoint colon = DotCentre(2, 2, 1);
    EXPECT_EQ(RGB(1, 255, 1), canvas.Pixel(colon.x, colon.y));
    CPoint five = DotCentre(7, 0, 0);
    EXPECT_EQ(RGB(1, 255, 1), canvas.Pixel(five.x, five.y));
    // Right of the eight glyphs the display shows its background colour.
    EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(190, 15));
    EXPECT_EQ(RGB(1, 1, 1), canvas.Pixel(4, 5));
}
