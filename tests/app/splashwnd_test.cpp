// The splash window: shown once, centred, at its picture's size, and gone
// after its time.
#include "support/gameapp.h"
#include "support/snapshot.h"

#include "SplashWnd.h"

namespace
{
::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new testsupport::Environment);
}

TEST(SplashWnd, ShowsOnceWhenEnabledAndGoesAfterItsTime)
{
    CSplashWnd::EnableSplashScreen(FALSE);
    EXPECT_FALSE(CSplashWnd::ShowSplashScreen(NULL));
    EXPECT_TRUE(CSplashWnd::GetCurrent() == NULL);

    CSplashWnd::EnableSplashScreen(TRUE);
    ASSERT_TRUE(CSplashWnd::ShowSplashScreen(NULL));
    CSplashWnd* pSplash = CSplashWnd::GetCurrent();
    ASSERT_TRUE(pSplash != NULL);
    // A second splash while one shows is refused.
    EXPECT_FALSE(CSplashWnd::ShowSplashScreen(NULL));

    CRect rect;
    pSplash->GetWindowRect(&rect);
    EXPECT_EQ(401, rect.Width());
    EXPECT_EQ(129, rect.Height());
    EXPECT_TRUE(pSplash->IsWindowVisible());
    pSplash->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    testsupport::SaveWindowSnapshot(pSplash->m_hWnd, "splash");

    // Its timer ends it; the object goes with the window.
    HWND hWnd = pSplash->m_hWnd;
    pSplash->SendMessage(WM_TIMER, 1);
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_TRUE(CSplashWnd::GetCurrent() == NULL);
    CSplashWnd::EnableSplashScreen(FALSE);
}
