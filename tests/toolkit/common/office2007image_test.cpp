// The Office 2007 store: theme texts, colour and value look-ups, named images
// and nine-grid drawing, with a theme and pictures made by the test.
#include <gtest/gtest.h>

#include "XTPOffice2007Image.h"
#include "support/gdi_count.h"
#include "support/testwindows.h"

#include <vector>

namespace
{
const char kTheme[] =
    "; Test theme\r\n"
    "[Toolbar]\r\n"
    "  Face = 10 20 30\r\n"
    "Border=1 2 3 ; trailing comment\r\n"
    "[Window]\r\n"
    "TooltipLight=255 255\r\n"
    "TooltipDark = 201 217 239\r\n"
    "Face=40 50 60\r\n"
    "Broken = red green 7\r\n"
    "Empty =\r\n"
    "=no key\r\n"
    "[Images]\r\n"
    "Frame = FRAME.BMP\r\n"
    "Missing = NOTHERE.BMP\r\n"
    "[Window]\r\n"
    "Face=70 80 90\r\n"
    "[Last]\r\n"
    "NotRead=1 1 1";

// A 9 x 9 picture: a 3-pixel red frame around a green centre.
COLORREF FramePixel(int x, int y)
{
    return (x < 3 || y < 3 || x >= 6 || y >= 6) ? RGB(255, 0, 0) : RGB(0, 255, 0);
}

// Two stacked 4 x 4 states: blue above, yellow below.
COLORREF StatesPixel(int, int y)
{
    return y < 4 ? RGB(0, 0, 255) : RGB(255, 255, 0);
}

// Magenta everywhere except a black 2 x 2 middle.
COLORREF MaskedPixel(int x, int y)
{
    return (x >= 2 && x < 4 && y >= 2 && y < 4) ? RGB(0, 0, 0) : RGB(255, 0, 255);
}

class Office2007StoreTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_module.IsReady());
        m_module.Add("TEXTFILE", "OFFICE2007BLUE_INI", testsupport::Utf16(kTheme));
        m_module.Add("TEXTFILE", "SILVER_THEME_INI", testsupport::Utf16("[Window]\r\nFace=1 1 1\r\n"));
        m_module.Add(RT_BITMAP, "FRAME_BMP", testsupport::MakeDib24(9, 9, FramePixel));
        m_module.Add(RT_BITMAP, "STATES_BMP", testsupport::MakeDib24(4, 8, StatesPixel));
        m_module.Add(RT_BITMAP, "MASKED_BMP", testsupport::MakeDib24(6, 6, MaskedPixel));
        m_hModule = m_module.Load();
        ASSERT_NE((HMODULE)NULL, m_hModule);
        ASSERT_TRUE(m_store.LoadTheme(m_hModule));
    }

    testsupport::ResourceModule m_module;
    HMODULE m_hModule = NULL;
    CXTPOffice2007ImageStore m_store;
};

// The frame keyed on its red border, drawn cx wide into a 40 x 12 canvas
// of blue: every pixel of the canvas, row by row.
std::vector<COLORREF> DrawKeyedFrame(CXTPOffice2007Image* pFrame, int cx, BOOL bBuffered = FALSE,
                                     COLORREF clrTransparent = RGB(255, 0, 0))
{
    testsupport::Canvas canvas(40, 12, RGB(0, 0, 255));
    CRect rcDest(2, 0, 2 + cx, 12);
    if (bBuffered)
        pFrame->DrawImageBuffered(canvas.DC(), rcDest, pFrame->GetSource(), CRect(3, 3, 3, 3), clrTransparent, 1);
    else
        pFrame->DrawImageTransparent(canvas.DC(), rcDest, pFrame->GetSource(), CRect(3, 3, 3, 3), clrTransparent);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < canvas.Height(); y++)
        for (int x = 0; x < canvas.Width(); x++)
            pixels.push_back(canvas.Pixel(x, y));
    return pixels;
}

COLORREF CentreOf(const std::vector<COLORREF>& pixels, int cx)
{
    return pixels[6 * 40 + 2 + cx / 2];
}

// Paints the centre of the frame's own bitmap yellow behind the image's
// back: a picture drawn from the bitmap from now on shows it, one the
// image kept from before still shows green.
void RepaintFrameCentre(CXTPOffice2007Image* pFrame)
{
    HDC hDC = ::CreateCompatibleDC(NULL);
    HGDIOBJ hOld = ::SelectObject(hDC, pFrame->GetBitmap());
    RECT rc = {3, 3, 6, 6};
    HBRUSH hBrush = ::CreateSolidBrush(RGB(255, 255, 0));
    ::FillRect(hDC, &rc, hBrush);
    ::DeleteObject(hBrush);
    ::SelectObject(hDC, hOld);
    ::DeleteDC(hDC);
    ::GdiFlush();
}
} // namespace

TEST(Office2007StoreDefaultTest, TheSharedStoreReadsTheProgramsOwnTheme)
{
    CXTPOffice2007ImageStore* pStore = XTPOffice2007ImageStore();
    EXPECT_TRUE(pStore->IsValid());
    EXPECT_STREQ("OFFICE2007BLUE_INI", pStore->GetName());
    EXPECT_EQ(RGB(255, 255, 255), pStore->GetImageColor(_T("Window"), _T("TooltipLight")));
    EXPECT_NE(nullptr, pStore->GetImage(_T("FRAMETOPLEFT")));
    EXPECT_EQ(nullptr, pStore->GetImage(_T("FRAME.BMP")));
    EXPECT_TRUE(pStore->GetValue(_T("Window"), _T("Face")).IsEmpty());
}

TEST(Office2007StoreDefaultTest, AStoreWithoutAModuleHasNoColoursAndNoPictures)
{
    CXTPOffice2007ImageStore store;
    EXPECT_FALSE(store.LoadTheme(NULL));
    EXPECT_FALSE(store.IsValid());
    EXPECT_EQ(COLORREF_NULL, store.GetImageColor(_T("Window"), _T("TooltipLight")));
    EXPECT_EQ(nullptr, store.GetImage(_T("FRAMETOPLEFT")));
}

TEST_F(Office2007StoreTest, ValuesAreUpperCasedAndTrimmed)
{
    EXPECT_TRUE(m_store.IsValid());
    EXPECT_STREQ("OFFICE2007BLUE_INI", m_store.GetName());
    EXPECT_STREQ("10 20 30", m_store.GetValue(_T("toolbar"), _T("face")));
    EXPECT_STREQ("1 2 3", m_store.GetValue(_T("Toolbar"), _T("Border")));
    EXPECT_STREQ("FRAME.BMP", m_store.GetValue(_T("Images"), _T("frame")));
    EXPECT_TRUE(m_store.GetValue(_T("Window"), _T("Empty")).IsEmpty());
    EXPECT_TRUE(m_store.GetValue(_T("Window"), _T("Nothing")).IsEmpty());
    EXPECT_TRUE(m_store.GetValue(_T("Nowhere"), _T("Face")).IsEmpty());
}

TEST_F(Office2007StoreTest, KeyOfAnEarlierSectionDoesNotLeakAndTheFirstSectionWins)
{
    EXPECT_STREQ("40 50 60", m_store.GetValue(_T("Window"), _T("Face")));
    EXPECT_STREQ("10 20 30", m_store.GetValue(_T("Toolbar"), _T("Face")));
}

TEST_F(Office2007StoreTest, LastLineWithoutCarriageReturnIsNotRead)
{
    EXPECT_TRUE(m_store.GetValue(_T("Last"), _T("NotRead")).IsEmpty());
}

TEST_F(Office2007StoreTest, Colours)
{
    EXPECT_EQ(RGB(10, 20, 30), m_store.GetImageColor(_T("Toolbar"), _T("Face")));
    EXPECT_EQ(RGB(255, 255, 0), m_store.GetImageColor(_T("Window"), _T("TooltipLight")));
    EXPECT_EQ(RGB(0, 0, 0), m_store.GetImageColor(_T("Window"), _T("Broken")));
    EXPECT_EQ(COLORREF_NULL, m_store.GetImageColor(_T("Window"), _T("Empty")));
    EXPECT_EQ(COLORREF_NULL, m_store.GetImageColor(_T("Window"), _T("Missing")));
}

TEST_F(Office2007StoreTest, ThemeNameWithADotFindsTheUnderscoredResource)
{
    ASSERT_TRUE(m_store.LoadTheme(m_hModule, _T("SILVER_THEME.INI")));
    EXPECT_STREQ("SILVER_THEME_INI", m_store.GetName());
    EXPECT_EQ(RGB(1, 1, 1), m_store.GetImageColor(_T("Window"), _T("Face")));
    EXPECT_FALSE(m_store.LoadTheme(m_hModule, _T("NO_SUCH.INI")));
    EXPECT_FALSE(m_store.IsValid());
}

TEST_F(Office2007StoreTest, MissingDefaultThemeTakesTheFirstThemeText)
{
    testsupport::ResourceModule other;
    other.Add("TEXTFILE", "ONLY_ONE_INI", testsupport::Utf16("[A]\r\nB=2 3 4\r\n"));
    HMODULE hOther = other.Load();
    ASSERT_NE((HMODULE)NULL, hOther);
    CXTPOffice2007ImageStore store;
    ASSERT_TRUE(store.LoadTheme(hOther, NULL));
    EXPECT_EQ(RGB(2, 3, 4), store.GetImageColor(_T("A"), _T("B")));
}

TEST_F(Office2007StoreTest, ImagesAreLoadedThroughTheImagesSectionAndCached)
{
    CXTPOffice2007Image* pFrame = m_store.GetImage(_T("Frame"));
    ASSERT_NE(nullptr, pFrame);
    EXPECT_EQ(9, pFrame->GetWidth());
    EXPECT_EQ(9, pFrame->GetHeight());
    EXPECT_EQ(pFrame, m_store.GetImage(_T("Frame")));
    EXPECT_EQ(1, m_store.GetCachedImageCount());

    // Without an Images entry the name itself is the resource ("." read as "_").
    EXPECT_NE(nullptr, m_store.GetImage(_T("STATES.BMP")));
    EXPECT_EQ(nullptr, m_store.GetImage(_T("Missing")));
    EXPECT_EQ(nullptr, m_store.GetImage(_T("")));
    EXPECT_EQ(2, m_store.GetCachedImageCount()) << "failures are not cached";

    ASSERT_TRUE(m_store.LoadTheme(m_hModule));
    EXPECT_EQ(0, m_store.GetCachedImageCount()) << "a new theme empties the cache";
}

TEST_F(Office2007StoreTest, PartsOfStackedStates)
{
    CXTPOffice2007Image* pStates = m_store.GetImage(_T("STATES.BMP"));
    ASSERT_NE(nullptr, pStates);
    EXPECT_EQ(CRect(0, 0, 4, 4), pStates->GetSource(0, 2));
    EXPECT_EQ(CRect(0, 4, 4, 8), pStates->GetSource(1, 2));
    EXPECT_EQ(CRect(0, 0, 4, 8), pStates->GetSource(0, 0)) << "a count below 1 counts as 1";

    CXTPOffice2007Image empty(&m_store);
    EXPECT_TRUE(empty.GetSource(0, 2).IsRectEmpty());
    EXPECT_EQ(0, empty.GetWidth());

    testsupport::Canvas canvas(4, 4);
    pStates->DrawImage(canvas.DC(), CRect(0, 0, 4, 4), pStates->GetSource(1, 2), CRect(0, 0, 0, 0));
    EXPECT_EQ(RGB(255, 255, 0), canvas.Pixel(0, 0));
    EXPECT_EQ(RGB(255, 255, 0), canvas.Pixel(3, 3));
}

TEST_F(Office2007StoreTest, NineGridKeepsTheCornersAndStretchesTheCentre)
{
    CXTPOffice2007Image* pFrame = m_store.GetImage(_T("Frame"));
    ASSERT_NE(nullptr, pFrame);
    testsupport::Canvas canvas(40, 30, RGB(255, 255, 255));
    pFrame->DrawImage(canvas.DC(), CRect(0, 0, 40, 30), pFrame->GetSource(), CRect(3, 3, 3, 3));

    for (int i = 0; i < 3; i++)
    {
        EXPECT_EQ(RGB(255, 0, 0), canvas.Pixel(i, 15)) << i;
        EXPECT_EQ(RGB(255, 0, 0), canvas.Pixel(39 - i, 15)) << i;
        EXPECT_EQ(RGB(255, 0, 0), canvas.Pixel(20, i)) << i;
        EXPECT_EQ(RGB(255, 0, 0), canvas.Pixel(20, 29 - i)) << i;
    }
    EXPECT_EQ(RGB(0, 255, 0), canvas.Pixel(3, 3));
    EXPECT_EQ(RGB(0, 255, 0), canvas.Pixel(36, 26));
    EXPECT_EQ(RGB(0, 255, 0), canvas.Pixel(20, 15));
}

TEST_F(Office2007StoreTest, DestinationSmallerThanTheMarginsShrinksThemInProportion)
{
    CXTPOffice2007Image* pFrame = m_store.GetImage(_T("Frame"));
    ASSERT_NE(nullptr, pFrame);
    // Source margins 3 and 3 into a height of 4: 2 rows of the top frame and
    // 2 of the bottom frame, and no centre.
    testsupport::Canvas canvas(20, 4, RGB(255, 255, 255));
    pFrame->DrawImage(canvas.DC(), CRect(0, 0, 20, 4), pFrame->GetSource(), CRect(3, 3, 3, 3));
    for (int y = 0; y < 4; y++)
        EXPECT_EQ(RGB(255, 0, 0), canvas.Pixel(10, y)) << y;
}

TEST_F(Office2007StoreTest, MarginsLargerThanTheSourceDrawNothing)
{
    CXTPOffice2007Image* pFrame = m_store.GetImage(_T("Frame"));
    ASSERT_NE(nullptr, pFrame);
    testsupport::Canvas canvas(20, 20, RGB(255, 255, 255));
    pFrame->DrawImage(canvas.DC(), CRect(0, 0, 20, 20), pFrame->GetSource(), CRect(0, 5, 0, 5));
    EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(10, 10));
}

TEST_F(Office2007StoreTest, TransparentColourIsLeftOut)
{
    CXTPOffice2007Image* pMasked = m_store.GetImage(_T("MASKED.BMP"));
    ASSERT_NE(nullptr, pMasked);
    testsupport::Canvas canvas(12, 12, RGB(0, 0, 255));
    pMasked->DrawImageTransparent(canvas.DC(), CRect(0, 0, 12, 12), pMasked->GetSource(), CRect(0, 0, 0, 0),
                                  RGB(255, 0, 255));
    EXPECT_EQ(RGB(0, 0, 255), canvas.Pixel(0, 0));
    EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(5, 5));

    testsupport::Canvas buffered(12, 12, RGB(0, 0, 255));
    pMasked->DrawImageBuffered(buffered.DC(), CRect(0, 0, 12, 12), pMasked->GetSource(), CRect(0, 0, 0, 0),
                               RGB(255, 0, 255), 1);
    EXPECT_EQ(RGB(0, 0, 255), buffered.Pixel(0, 0));
    EXPECT_EQ(RGB(0, 0, 0), buffered.Pixel(5, 5));
}

TEST_F(Office2007StoreTest, KeyedPictureDrawnAgainShowsTheNewBackgroundAndItsOwnSize)
{
    // The frame keyed on its red border: only the green centre is drawn.
    CXTPOffice2007Image* pFrame = m_store.GetImage(_T("Frame"));
    ASSERT_NE(nullptr, pFrame);
    const COLORREF clrBackgrounds[] = {RGB(0, 0, 255), RGB(255, 255, 0), RGB(255, 255, 255)};
    for (COLORREF clrBack : clrBackgrounds)
    {
        testsupport::Canvas canvas(12, 12, clrBack);
        pFrame->DrawImageTransparent(canvas.DC(), CRect(0, 0, 12, 12), pFrame->GetSource(), CRect(3, 3, 3, 3),
                                     RGB(255, 0, 0));
        EXPECT_EQ(clrBack, canvas.Pixel(1, 1));
        EXPECT_EQ(clrBack, canvas.Pixel(10, 6));
        EXPECT_EQ(RGB(0, 255, 0), canvas.Pixel(3, 3));
        EXPECT_EQ(RGB(0, 255, 0), canvas.Pixel(8, 8));
        EXPECT_EQ(clrBack, canvas.Pixel(9, 9));
    }

    // More sizes than the image keeps, then the first size again: each
    // picture has the size it is drawn at.
    for (int cx = 8; cx <= 30; cx += 2)
    {
        testsupport::Canvas canvas(40, 12, RGB(0, 0, 255));
        pFrame->DrawImageTransparent(canvas.DC(), CRect(2, 0, 2 + cx, 12), pFrame->GetSource(), CRect(3, 3, 3, 3),
                                     RGB(255, 0, 0));
        EXPECT_EQ(RGB(0, 0, 255), canvas.Pixel(3, 6)) << cx;
        EXPECT_EQ(RGB(0, 255, 0), canvas.Pixel(5, 6)) << cx;
        EXPECT_EQ(RGB(0, 255, 0), canvas.Pixel(cx - 2, 6)) << cx;
        EXPECT_EQ(RGB(0, 0, 255), canvas.Pixel(cx - 1, 6)) << cx;
        EXPECT_EQ(RGB(0, 0, 255), canvas.Pixel(cx + 2, 6)) << cx;
    }

    // The DC's clipping still holds.
    testsupport::Canvas clipped(12, 12, RGB(0, 0, 255));
    CRgn rgn;
    rgn.CreateRectRgn(0, 0, 6, 12);
    clipped.DC()->SelectClipRgn(&rgn);
    pFrame->DrawImageTransparent(clipped.DC(), CRect(0, 0, 12, 12), pFrame->GetSource(), CRect(3, 3, 3, 3),
                                 RGB(255, 0, 0));
    clipped.DC()->SelectClipRgn(NULL);
    EXPECT_EQ(RGB(0, 255, 0), clipped.Pixel(4, 6));
    EXPECT_EQ(RGB(0, 0, 255), clipped.Pixel(7, 6));
}

TEST_F(Office2007StoreTest, KeptKeyedPicturesAreReusedAndTheOneUsedLongestAgoMakesRoom)
{
    CXTPOffice2007Image* pFrame = m_store.GetImage(_T("Frame"));
    ASSERT_NE(nullptr, pFrame);
    std::vector<std::vector<COLORREF>> first;
    for (int cx = 10; cx <= 24; cx += 2)
        first.push_back(DrawKeyedFrame(pFrame, cx));
    RepaintFrameCentre(pFrame);

    // Eight sizes drawn again: every picture is the one kept, pixel for
    // pixel the first (freshly made) drawing, and no bitmap is made.
    testsupport::GdiCensus before = testsupport::TakeGdiCensus();
    ASSERT_TRUE(before.bValid);
    for (int cx = 10, i = 0; cx <= 24; cx += 2, i++)
    {
        std::vector<COLORREF> again = DrawKeyedFrame(pFrame, cx);
        EXPECT_TRUE(again == first[i]) << cx;
        EXPECT_EQ(RGB(0, 255, 0), CentreOf(again, cx)) << cx;
    }
    testsupport::GdiCensus after = testsupport::TakeGdiCensus();
    EXPECT_EQ(before.nByKind[OBJ_BITMAP], after.nByKind[OBJ_BITMAP]) << before.Difference(after);

    // 10 drawn again becomes the latest; a ninth size then pushes out 12,
    // now the one drawn longest ago, and 10 stays kept.
    EXPECT_EQ(RGB(0, 255, 0), CentreOf(DrawKeyedFrame(pFrame, 10), 10));
    EXPECT_EQ(RGB(255, 255, 0), CentreOf(DrawKeyedFrame(pFrame, 26), 26));
    EXPECT_EQ(RGB(0, 255, 0), CentreOf(DrawKeyedFrame(pFrame, 10), 10));
    EXPECT_EQ(RGB(255, 255, 0), CentreOf(DrawKeyedFrame(pFrame, 12), 12));

    // The buffered drawing with a transparent colour blends the same kept
    // picture; without one its picture is made anew, all of it opaque.
    std::vector<COLORREF> buffered = DrawKeyedFrame(pFrame, 10, TRUE);
    EXPECT_TRUE(buffered == DrawKeyedFrame(pFrame, 10));
    EXPECT_EQ(RGB(0, 255, 0), CentreOf(buffered, 10));
    std::vector<COLORREF> opaque = DrawKeyedFrame(pFrame, 10, TRUE, COLORREF_NULL);
    EXPECT_EQ(RGB(255, 255, 0), CentreOf(opaque, 10));
    EXPECT_EQ(RGB(255, 0, 0), opaque[6 * 40 + 3]);
    EXPECT_EQ(RGB(0, 0, 255), opaque[6 * 40 + 1]);
}

TEST_F(Office2007StoreTest, NineSizesInTurnAreEachDrawnAnewAndNoPictureIsLeaked)
{
    CXTPOffice2007Image* pFrame = m_store.GetImage(_T("Frame"));
    ASSERT_NE(nullptr, pFrame);
    for (int cx = 10; cx <= 26; cx += 2)
        EXPECT_EQ(RGB(0, 255, 0), CentreOf(DrawKeyedFrame(pFrame, cx), cx)) << cx;
    RepaintFrameCentre(pFrame);

    testsupport::GdiCensus before = testsupport::TakeGdiCensus();
    ASSERT_TRUE(before.bValid);
    for (int cx = 10; cx <= 26; cx += 2)
        EXPECT_EQ(RGB(255, 255, 0), CentreOf(DrawKeyedFrame(pFrame, cx), cx)) << cx;
    testsupport::GdiCensus after = testsupport::TakeGdiCensus();
    EXPECT_EQ(before.nByKind[OBJ_BITMAP], after.nByKind[OBJ_BITMAP]) << before.Difference(after);
}
