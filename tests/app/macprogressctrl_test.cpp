// The shaded progress bar: its shades, the bar by position, the moving
// stripes that ignore the position, and the stripe phase.
#include "support/wndtest.h"
#include "support/canvas.h"
#include "support/snapshot.h"
#include "MacProgressCtrl.h"

using testsupport::Canvas;

namespace
{
::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new testsupport::Environment);

struct ProgressFixture : ::testing::Test
{
    void SetUp() override
    {
        ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "Host", WS_POPUP, CRect(0, 0, 300, 60), NULL, 0));
        ASSERT_TRUE(bar.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 210, 30), &parent, 1000));
        bar.SetRange32(0, 100);
    }
    void TearDown() override { parent.DestroyWindow(); }

    std::unique_ptr<Canvas> Paint()
    {
        std::unique_ptr<Canvas> canvas(new Canvas(200, 20, RGB(0, 255, 0)));
        bar.Paint(canvas->DC(), CRect(0, 0, 200, 20));
        ::GdiFlush();
        return canvas;
    }
    static bool Same(const Canvas& a, const Canvas& b)
    {
        for (int y = 0; y < a.Height(); y++)
            for (int x = 0; x < a.Width(); x++)
                if (a.Pixel(x, y) != b.Pixel(x, y))
                    return false;
        return true;
    }

    CWnd parent;
    CMacProgressCtrl bar;
};
} // namespace

TEST(MacProgressCtrl, ShadesStepBy51AndLeaveChannelsThatWouldOverflow)
{
    EXPECT_EQ(RGB(61, 87, 157), CMacProgressCtrl::LighterColor(RGB(10, 36, 106)));
    EXPECT_EQ(RGB(112, 138, 208), CMacProgressCtrl::LighterColor(RGB(61, 87, 157)));
    EXPECT_EQ(RGB(163, 189, 208), CMacProgressCtrl::LighterColor(RGB(112, 138, 208)));
    EXPECT_EQ(RGB(10, 36, 55), CMacProgressCtrl::DarkerColor(RGB(10, 36, 106)));
    // The mid shadow halves toward minus infinity.
    EXPECT_EQ(RGB(63, 64, 0), CMacProgressCtrl::MidColor(RGB(127, 128, 0), RGB(0, 0, 0)));

    CMacProgressCtrl bar;
    bar.SetBaseColor(RGB(10, 36, 106));
    EXPECT_EQ(RGB(163, 189, 208), bar.m_crColorLightest);
    EXPECT_EQ(RGB(10, 36, 4), bar.m_crColorDarker);
    EXPECT_EQ(::GetSysColor(COLOR_3DDKSHADOW), bar.m_crDkShadow);
}

TEST_F(ProgressFixture, TheBarEndsAtThePositionAndTheRestIsTheFace)
{
    bar.SetPos(50);
    std::unique_ptr<Canvas> canvas = Paint();
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), canvas->Pixel(150, 10));
    EXPECT_EQ(bar.m_crColorLightest, canvas->Pixel(50, 10));
    EXPECT_EQ(bar.m_crShadow, canvas->Pixel(101, 10));
    bar.SetPos(0);
    canvas = Paint();
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), canvas->Pixel(2, 10));

    // An empty range draws no bar rather than dividing by zero.
    bar.SetRange32(5, 5);
    canvas = Paint();
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), canvas->Pixel(100, 10));
}

TEST_F(ProgressFixture, MovingStripesIgnoreThePositionAndRepeatEveryTwentyTicks)
{
    bar.m_bIndeterminate = TRUE;
    bar.m_nIndOffset = 0;
    bar.SetPos(10);
    std::unique_ptr<Canvas> first = Paint();
    bar.SetPos(90);
    std::unique_ptr<Canvas> second = Paint();
    EXPECT_TRUE(Same(*first, *second));
    EXPECT_NE(::GetSysColor(COLOR_BTNFACE), second->Pixel(195, 10));   // the whole width

    // Each tick of timer 100 moves the stripes; twenty ticks come round.
    bar.SendMessage(WM_TIMER, MAC_PROGRESS_TIMER);
    EXPECT_EQ(1, bar.m_nIndOffset);
    EXPECT_FALSE(Same(*first, *Paint()));
    for (int i = 1; i < 20; i++)
        bar.SendMessage(WM_TIMER, MAC_PROGRESS_TIMER);
    EXPECT_EQ(0, bar.m_nIndOffset);
    EXPECT_TRUE(Same(*first, *Paint()));
    bar.KillTimer(MAC_PROGRESS_TIMER);
}

TEST_F(ProgressFixture, Snapshots)
{
    bar.SetPos(65);
    EXPECT_FALSE(testsupport::SaveSnapshot(*Paint(), "bar_65_percent").empty());
    bar.m_bIndeterminate = TRUE;
    bar.m_nIndOffset = 7;
    EXPECT_FALSE(testsupport::SaveSnapshot(*Paint(), "bar_stripes").empty());
}
