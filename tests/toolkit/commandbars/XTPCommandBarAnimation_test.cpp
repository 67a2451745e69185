// The back buffer and the redraw fade of a command bar.
// ctest: run-serial
#include <gtest/gtest.h>

#include "XTPCommandBar.h"
#include "XTPCommandBarAnimation.h"
#include "support/snapshot.h"

namespace
{
// A bar that paints itself in one colour; it paints through its animation.
class CPlainBar : public CXTPCommandBar
{
public:
    CPlainBar() : m_anim(*GetAnimation()), m_clr(RGB(255, 0, 0)) {}
    virtual void DrawCommandBar(CDC* pDC, CRect rcClipBox) { pDC->FillSolidRect(CRect(0, 0, 200, 40), m_clr); }
    CXTPCommandBarAnimation& m_anim;
    COLORREF m_clr;
};

COLORREF ScreenPixel(CWnd* pWnd, int x, int y)
{
    CClientDC dc(pWnd);
    return dc.GetPixel(x, y);
}

COLORREF BufferPixel(HBITMAP hbmp, int x, int y)
{
    HDC hDC = ::CreateCompatibleDC(NULL);
    HGDIOBJ hOld = ::SelectObject(hDC, hbmp);
    COLORREF clr = ::GetPixel(hDC, x, y);
    ::SelectObject(hDC, hOld);
    ::DeleteDC(hDC);
    return clr;
}

class AnimationTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        LPCTSTR lpszClass = AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW));
        ASSERT_TRUE(bar.CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, lpszClass, "bar", WS_POPUP | WS_VISIBLE,
                                 CRect(0, 0, 200, 40), NULL, 0));
        bar.EnableAnimation(TRUE);
        bar.UpdateWindow();   // the first paint makes the back buffer
        ASSERT_TRUE(bar.m_anim.GetBackBuffer() != NULL);
    }
    void TearDown() override { bar.DestroyWindow(); }
    CPlainBar bar;
};
} // namespace

TEST_F(AnimationTest, ARedrawThatChangesNoPixelStartsNoFade)
{
    CRect rc(10, 5, 60, 30);
    bar.m_anim.RedrawRect(&rc, TRUE);
    EXPECT_FALSE(bar.m_anim.IsTimerRunning());
    EXPECT_EQ(0, bar.m_anim.GetAnimationCount());
}

TEST_F(AnimationTest, AChangeFadesInSixFramesFromTheOldPicture)
{
    bar.m_clr = RGB(0, 0, 255);
    CRect rc(10, 5, 60, 30);
    bar.m_anim.RedrawRect(&rc, TRUE);
    ASSERT_TRUE(bar.m_anim.IsTimerRunning());
    ASSERT_EQ(1, bar.m_anim.GetAnimationCount());
    EXPECT_EQ(2, bar.m_anim.GetAnimation(0)->m_nStep) << "the first frame is drawn at once";
    EXPECT_EQ(RGB(0, 0, 255), BufferPixel(bar.m_anim.GetBackBuffer(), 20, 10)) << "the buffer holds the end";

    // Frame 1: alpha 42 of blue over red.
    COLORREF clr = ScreenPixel(&bar, 20, 10);
    EXPECT_EQ(212, GetRValue(clr));
    EXPECT_EQ(41, GetBValue(clr));

    for (int i = 0; i < 4; i++)
        bar.m_anim.OnTimer();
    EXPECT_EQ(1, bar.m_anim.GetAnimationCount());
    clr = ScreenPixel(&bar, 20, 10);
    EXPECT_EQ((255 * 43) >> 8, GetRValue(clr)) << "frame 5: alpha 212";
    bar.m_anim.OnTimer();
    EXPECT_EQ(0, bar.m_anim.GetAnimationCount()) << "six frames in all";
    EXPECT_FALSE(bar.m_anim.IsTimerRunning());
    EXPECT_EQ(RGB(0, 0, 255), ScreenPixel(&bar, 20, 10));
    EXPECT_EQ(RGB(255, 0, 0), ScreenPixel(&bar, 100, 10)) << "outside the rectangle nothing changed";

    CClientDC dc(&bar);
    testsupport::Canvas canvas(200, 40);
    ::BitBlt(canvas.Handle(), 0, 0, 200, 40, dc, 0, 0, SRCCOPY);
    EXPECT_FALSE(testsupport::SaveSnapshot(canvas, "fade_finished").empty());
}

TEST_F(AnimationTest, RedrawsOutsideTheClientAreaAreClippedOrDropped)
{
    bar.m_clr = RGB(0, 255, 0);
    CRect rcOutside(300, 0, 400, 40);
    bar.m_anim.RedrawRect(&rcOutside, TRUE);
    EXPECT_EQ(0, bar.m_anim.GetAnimationCount());
    EXPECT_FALSE(bar.m_anim.IsTimerRunning());

    CRect rcAcross(150, -10, 400, 100);
    bar.m_anim.RedrawRect(&rcAcross, TRUE);
    ASSERT_EQ(1, bar.m_anim.GetAnimationCount());
    EXPECT_EQ(CRect(150, 0, 200, 40), bar.m_anim.GetAnimation(0)->m_rc);
}

TEST_F(AnimationTest, APlainRedrawKeepsItsPixelsWhileTheFadeGoesOnAround)
{
    bar.m_clr = RGB(0, 0, 255);
    CRect rcFade(0, 0, 100, 40);
    bar.m_anim.RedrawRect(&rcFade, TRUE);
    ASSERT_EQ(1, bar.m_anim.GetAnimationCount());

    bar.m_clr = RGB(0, 255, 0);
    CRect rcPlain(40, 10, 60, 30);
    bar.m_anim.RedrawRect(&rcPlain, FALSE);
    ASSERT_EQ(1, bar.m_anim.GetAnimationCount());
    EXPECT_EQ(1, (int)bar.m_anim.GetAnimation(0)->m_arrExclude.GetSize());
    bar.m_anim.OnTimer();
    EXPECT_EQ(RGB(0, 255, 0), ScreenPixel(&bar, 50, 20)) << "the fade does not paint over it";

    // A plain redraw over all of the fading rectangle ends the fade.
    bar.m_anim.RedrawRect(&rcFade, FALSE);
    EXPECT_EQ(0, bar.m_anim.GetAnimationCount());
    EXPECT_FALSE(bar.m_anim.IsTimerRunning());

    // With animation off a redraw only invalidates.
    bar.m_anim.SetAnimationProperty(FALSE);
    bar.m_clr = RGB(255, 255, 0);
    bar.m_anim.RedrawRect(&rcFade, TRUE);
    EXPECT_EQ(0, bar.m_anim.GetAnimationCount());
    bar.UpdateWindow();
    EXPECT_EQ(RGB(255, 255, 0), ScreenPixel(&bar, 50, 20));
}
