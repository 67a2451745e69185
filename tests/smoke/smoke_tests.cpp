// Checks that test programs run under Wine with a display and the program's resources.
#include <gtest/gtest.h>
#include <windows.h>
#include "resource.h"

TEST(Smoke, StringsComeFromTheResources)
{
    char buf[64] = "";
    ASSERT_GT(LoadStringA(GetModuleHandle(NULL), AFX_IDS_APP_TITLE, buf, sizeof(buf)), 0);
    EXPECT_STREQ("Brindlemark", buf);
}

TEST(Smoke, WindowsCanBeCreatedOnTheDisplay)
{
    HWND h = CreateWindowA("STATIC", "x", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, NULL, NULL,
                           GetModuleHandle(NULL), NULL);
    ASSERT_NE(nullptr, h);
    HDC dc = GetDC(h);
    EXPECT_EQ(24, GetDeviceCaps(dc, BITSPIXEL) * GetDeviceCaps(dc, PLANES) >= 24 ? 24 : 0);
    ReleaseDC(h, dc);
    DestroyWindow(h);
}
