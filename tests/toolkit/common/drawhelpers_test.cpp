// ctest: run-serial (drives the real pointer, keyboard or foreground window)
// Drawing helpers and scoped device contexts, checked pixel by pixel on
// memory DCs.
#include <gtest/gtest.h>

#include "support/canvas.h"
#include "support/pump.h"
#include "XTPDrawHelpers.h"
#include "XTPColorManager.h"

using testsupport::Canvas;

namespace
{
int ChannelDiff(COLORREF a, COLORREF b)
{
    return std::max(std::max(std::abs(GetRValue(a) - GetRValue(b)), std::abs(GetGValue(a) - GetGValue(b))),
                    std::abs(GetBValue(a) - GetBValue(b)));
}

// Draw helpers without the msimg32 entry: the line-by-line path.
class CSlowDrawHelpers : public CXTPDrawHelpers
{
public:
    CSlowDrawHelpers() { m_pfnFastGradientFill = NULL; }
};

HWND CreateTestWindow(DWORD dwExStyle, int x, int y, int cx, int cy)
{
    return ::CreateWindowExA(dwExStyle, "STATIC", "", WS_POPUP, x, y, cx, cy, NULL, NULL,
                             ::GetModuleHandle(NULL), NULL);
}
}

TEST(GradientFill, FastPathRunsFromStartToEnd)
{
    if (XTPDrawHelpers()->m_pfnFastGradientFill == NULL)
        GTEST_SKIP() << "no GradientFill entry";
    Canvas canvas(100, 10);
    CRect rc(0, 0, 100, 10);
    XTPDrawHelpers()->GradientFill(canvas.DC(), rc, RGB(255, 0, 0), RGB(0, 0, 255), TRUE);
    EXPECT_LE(ChannelDiff(RGB(255, 0, 0), canvas.Pixel(0, 5)), 4);
    EXPECT_LE(ChannelDiff(RGB(0, 0, 255), canvas.Pixel(99, 5)), 6);
    EXPECT_LE(ChannelDiff(RGB(128, 0, 128), canvas.Pixel(50, 5)), 8);
    for (int x = 1; x < 100; x++)
        EXPECT_LE(GetRValue(canvas.Pixel(x, 5)), GetRValue(canvas.Pixel(x - 1, 5))) << x;

    Canvas vertical(10, 100);
    XTPDrawHelpers()->GradientFill(vertical.DC(), CRect(0, 0, 10, 100), RGB(0, 0, 0), RGB(255, 255, 255), FALSE);
    EXPECT_LE(ChannelDiff(RGB(0, 0, 0), vertical.Pixel(5, 0)), 4);
    EXPECT_LE(ChannelDiff(RGB(255, 255, 255), vertical.Pixel(5, 99)), 6);
}

TEST(GradientFill, SlowPathBlendsEveryColumn)
{
    CSlowDrawHelpers helpers;
    Canvas canvas(64, 4);
    helpers.GradientFill(canvas.DC(), CRect(0, 0, 64, 4), RGB(200, 100, 0), RGB(0, 100, 200), TRUE);
    for (int x = 0; x < 64; x++)
    {
        COLORREF clr = CXTPDrawHelpers::BlendColors(RGB(200, 100, 0), RGB(0, 100, 200), (float)(1.0 - x / 64.0));
        EXPECT_EQ(clr, canvas.Pixel(x, 0)) << x;
        EXPECT_EQ(clr, canvas.Pixel(x, 3)) << x;
    }

    Canvas vertical(4, 32);
    helpers.GradientFill(vertical.DC(), CRect(0, 0, 4, 32), RGB(0, 0, 0), RGB(255, 255, 255), FALSE);
    EXPECT_EQ(RGB(0, 0, 0), vertical.Pixel(0, 0));
    EXPECT_EQ(CXTPDrawHelpers::BlendColors(0, RGB(255, 255, 255), (float)(1.0 - 31 / 32.0)), vertical.Pixel(0, 31));
}

TEST(GradientFill, TwentyFourBitTargets)
{
    CSlowDrawHelpers slow;
    Canvas canvas(32, 4, RGB(255, 255, 255), 24);
    slow.GradientFill(canvas.DC(), CRect(0, 0, 32, 4), RGB(0, 0, 0), RGB(0, 255, 0), TRUE);
    for (int x = 0; x < 32; x++)
        EXPECT_EQ(CXTPDrawHelpers::BlendColors(0, RGB(0, 255, 0), (float)(1.0 - x / 32.0)), canvas.Pixel(x, 2)) << x;

    if (XTPDrawHelpers()->m_pfnFastGradientFill == NULL)
        return;
    Canvas fast(32, 32, RGB(255, 255, 255), 24);
    XTPDrawHelpers()->GradientFill(fast.DC(), CRect(0, 0, 32, 32), RGB(255, 255, 0), RGB(0, 0, 0), FALSE);
    EXPECT_LE(ChannelDiff(RGB(255, 255, 0), fast.Pixel(3, 0)), 8);
    EXPECT_LE(ChannelDiff(RGB(0, 0, 0), fast.Pixel(3, 31)), 10);
    for (int y = 1; y < 32; y++)
        EXPECT_LE(GetRValue(fast.Pixel(3, y)), GetRValue(fast.Pixel(3, y - 1))) << y;
}

TEST(GradientFill, OnePixelWideSlowGradientIsTheStartColour)
{
    CSlowDrawHelpers helpers;
    Canvas canvas(3, 3);
    helpers.GradientFill(canvas.DC(), CRect(1, 0, 2, 3), RGB(10, 20, 30), RGB(200, 200, 200), TRUE);
    EXPECT_EQ(RGB(10, 20, 30), canvas.Pixel(1, 1));
    EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(0, 1));
    EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(2, 1));
}

TEST(GradientFill, SlowPathStaysInsideTheClipBox)
{
    CSlowDrawHelpers helpers;
    Canvas canvas(40, 10);
    HRGN hRgn = ::CreateRectRgn(10, 0, 20, 10);
    ::SelectClipRgn(canvas.Handle(), hRgn);
    ::DeleteObject(hRgn);
    helpers.GradientFill(canvas.DC(), CRect(0, 0, 40, 10), RGB(0, 0, 0), RGB(0, 0, 200), TRUE);
    ::SelectClipRgn(canvas.Handle(), NULL);
    EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(5, 5));
    EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(25, 5));
    EXPECT_EQ(CXTPDrawHelpers::BlendColors(0, RGB(0, 0, 200), (float)(1.0 - 15 / 40.0)), canvas.Pixel(15, 5));
}

TEST(GradientFill, EqualColoursAndEmptyRectangles)
{
    Canvas canvas(20, 20);
    XTPDrawHelpers()->GradientFill(canvas.DC(), CRect(0, 0, 20, 20), RGB(1, 2, 3), RGB(1, 2, 3), TRUE);
    EXPECT_EQ(RGB(1, 2, 3), canvas.Pixel(0, 0));
    EXPECT_EQ(RGB(1, 2, 3), canvas.Pixel(19, 19));

    canvas.Fill(RGB(255, 255, 255));
    XTPDrawHelpers()->GradientFill(canvas.DC(), CRect(5, 5, 5, 15), RGB(0, 0, 0), RGB(255, 0, 0), TRUE);
    XTPDrawHelpers()->GradientFill(canvas.DC(), (LPCRECT)NULL, RGB(0, 0, 0), RGB(255, 0, 0), TRUE);
    EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(5, 5));
}

TEST(GradientFill, ClippedGradientMatchesTheUnclippedOne)
{
    CSlowDrawHelpers helpers;
    Canvas full(100, 10), clipped(100, 10);
    CRect rc(0, 0, 100, 10), rcClip(30, 2, 60, 8);
    helpers.GradientFill(full.DC(), rc, RGB(0, 0, 0), RGB(250, 250, 250), TRUE);
    helpers.GradientFillClipped(clipped.DC(), rc, RGB(0, 0, 0), RGB(250, 250, 250), TRUE, rcClip);

    EXPECT_EQ(RGB(255, 255, 255), clipped.Pixel(29, 5));
    EXPECT_EQ(RGB(255, 255, 255), clipped.Pixel(60, 5));
    EXPECT_EQ(RGB(255, 255, 255), clipped.Pixel(40, 1));
    EXPECT_EQ(RGB(255, 255, 255), clipped.Pixel(40, 8));
    for (int x = 30; x < 60; x++)
        EXPECT_LE(ChannelDiff(full.Pixel(x, 5), clipped.Pixel(x, 5)), 3) << x;

    // A clip rectangle beside the gradient draws nothing.
    Canvas none(100, 10);
    helpers.GradientFillClipped(none.DC(), CRect(0, 0, 20, 10), 0, RGB(200, 0, 0), TRUE, CRect(50, 0, 60, 10));
    EXPECT_EQ(RGB(255, 255, 255), none.Pixel(10, 5));
}

TEST(GradientFill, FromGradientSplitsAtTheFactor)
{
    CSlowDrawHelpers helpers;
    CXTPPaintManagerColorGradient grc;
    grc.SetStandardValue(RGB(0, 0, 0), RGB(200, 200, 200), 0.5f);

    Canvas plain(100, 4), single(100, 4);
    helpers.GradientFillFromGradient(plain.DC(), CRect(0, 0, 100, 4), grc, TRUE);
    helpers.GradientFill(single.DC(), CRect(0, 0, 100, 4), RGB(0, 0, 0), RGB(200, 200, 200), TRUE);
    for (int x = 0; x < 100; x++)
        EXPECT_EQ(single.Pixel(x, 1), plain.Pixel(x, 1)) << x;

    grc.fGradientFactor = 0.75f;
    Canvas split(100, 4);
    helpers.GradientFillFromGradient(split.DC(), CRect(0, 0, 100, 4), grc, TRUE);
    COLORREF clrMiddle = CXTPDrawHelpers::BlendColors(RGB(0, 0, 0), RGB(200, 200, 200), 0.75f);
    EXPECT_EQ(RGB(50, 50, 50), clrMiddle);  // three quarters of the way toward the start
    EXPECT_EQ(clrMiddle, split.Pixel(50, 1));
    EXPECT_EQ(RGB(0, 0, 0), split.Pixel(0, 1));

    // The custom value of a colour wins.
    grc.fGradientFactor = 0.5f;
    grc.clrLight.SetCustomValue(RGB(100, 0, 0));
    Canvas custom(10, 4);
    helpers.GradientFillFromGradient(custom.DC(), CRect(0, 0, 10, 4), grc, TRUE);
    EXPECT_EQ(RGB(100, 0, 0), custom.Pixel(0, 0));
}

TEST(DrawHelpers, BlendColorsTruncatesAndClamps)
{
    EXPECT_EQ(RGB(127, 127, 127), CXTPDrawHelpers::BlendColors(RGB(255, 255, 255), RGB(0, 0, 0), 0.5f));
    EXPECT_EQ(RGB(255, 0, 0), CXTPDrawHelpers::BlendColors(RGB(255, 0, 0), RGB(0, 0, 255), 1.0f));
    EXPECT_EQ(RGB(255, 255, 255), CXTPDrawHelpers::BlendColors(RGB(255, 255, 255), RGB(255, 255, 255), 1.5f));
}

TEST(DrawHelpers, StripMnemonics)
{
    CString str("a&&b&c");
    CXTPDrawHelpers::StripMnemonics(str);
    EXPECT_STREQ("a&bc", (LPCTSTR)str);

    str = "&File&";
    CXTPDrawHelpers::StripMnemonics(str);
    EXPECT_STREQ("File", (LPCTSTR)str);

    char sz[] = "S&ave &&As&";
    CXTPDrawHelpers::StripMnemonics(sz);
    EXPECT_STREQ("Save &As", sz);

    CXTPDrawHelpers::StripMnemonics((LPTSTR)NULL);
    CXTPDrawHelpers::StripMnemonics((LPTSTR)(LONG_PTR)-1);
}

TEST(DrawHelpers, RightToLeftContext)
{
    Canvas canvas(10, 10);
    EXPECT_FALSE(CXTPDrawHelpers::IsContextRTL(canvas.DC()));
    CXTPDrawHelpers::SetContextRTL(canvas.DC(), TRUE);
    EXPECT_TRUE(CXTPDrawHelpers::IsContextRTL(canvas.DC()));
    CXTPDrawHelpers::SetContextRTL(canvas.DC(), FALSE);
    EXPECT_FALSE(CXTPDrawHelpers::IsContextRTL(canvas.DC()));
    EXPECT_FALSE(CXTPDrawHelpers::IsContextRTL((CDC*)NULL));
}

TEST(DrawHelpers, KeysAndPointsFollowTheWindowLayout)
{
    HWND hWndLTR = CreateTestWindow(0, 100, 50, 200, 100);
    HWND hWndRTL = CreateTestWindow(WS_EX_LAYOUTRTL, 100, 50, 200, 100);
    ASSERT_TRUE(hWndLTR && hWndRTL);
    CWnd* pLTR = CWnd::FromHandle(hWndLTR);
    CWnd* pRTL = CWnd::FromHandle(hWndRTL);

    UINT nKey = VK_LEFT;
    CXTPDrawHelpers::KeyToLayout(pLTR, nKey);
    EXPECT_EQ((UINT)VK_LEFT, nKey);
    CXTPDrawHelpers::KeyToLayout(NULL, nKey);
    EXPECT_EQ((UINT)VK_LEFT, nKey);

    if (::GetWindowLongA(hWndRTL, GWL_EXSTYLE) & WS_EX_LAYOUTRTL)
    {
        CXTPDrawHelpers::KeyToLayout(pRTL, nKey);
        EXPECT_EQ((UINT)VK_RIGHT, nKey);
        nKey = VK_UP;
        CXTPDrawHelpers::KeyToLayout(pRTL, nKey);
        EXPECT_EQ((UINT)VK_UP, nKey);

        CRect rc;
        ::GetWindowRect(hWndRTL, &rc);
        CPoint pt(rc.left + 30, rc.top + 7);
        CXTPDrawHelpers::ScreenToWindow(pRTL, &pt);
        EXPECT_EQ(CPoint(rc.Width() - 30, 7), pt);
    }

    CRect rc;
    ::GetWindowRect(hWndLTR, &rc);
    CPoint pt(rc.left + 30, rc.top + 7);
    CXTPDrawHelpers::ScreenToWindow(pLTR, &pt);
    EXPECT_EQ(CPoint(30, 7), pt);

    EXPECT_EQ(CRect(rc), CXTPWindowRect(hWndLTR));
    EXPECT_EQ(CRect(0, 0, rc.Width(), rc.Height()), CXTPClientRect(pLTR));
    EXPECT_TRUE(CXTPWindowRect((HWND)NULL).IsRectEmpty());
    EXPECT_TRUE(CXTPClientRect((const CWnd*)NULL).IsRectEmpty());
    EXPECT_TRUE(CXTPEmptyRect().IsRectEmpty());

    ::SetCursorPos(rc.left + 5, rc.top + 6);
    CXTPClientCursorPos ptCursor(pLTR);
    POINT ptScreen;
    ::GetCursorPos(&ptScreen);
    EXPECT_EQ(CPoint(ptScreen.x - rc.left, ptScreen.y - rc.top), ptCursor);

    ::DestroyWindow(hWndLTR);
    ::DestroyWindow(hWndRTL);
}

TEST(DrawHelpers, TopParentActiveFollowsOwnersToTheTop)
{
    // A frame, a window it owns (not a child, not a popup) and a control in
    // that window: the control belongs to the frame's activation.
    HWND hWndFrame = ::CreateWindowExA(0, "STATIC", "frame", WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, 10, 10, 200,
                                       100, NULL, NULL, ::GetModuleHandle(NULL), NULL);
    HWND hWndOwned = ::CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "owned", WS_OVERLAPPED | WS_CAPTION, 250, 10, 100,
                                       80, hWndFrame, NULL, ::GetModuleHandle(NULL), NULL);
    HWND hWndControl = ::CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 20, 20, hWndOwned, NULL,
                                         ::GetModuleHandle(NULL), NULL);
    ASSERT_TRUE(hWndFrame && hWndOwned && hWndControl);
    ASSERT_EQ(hWndFrame, ::GetWindow(hWndOwned, GW_OWNER));
    ::SetForegroundWindow(hWndFrame);
    testsupport::Pump(0);
    if (::GetForegroundWindow() != hWndFrame)
    {
        ::DestroyWindow(hWndFrame);
        GTEST_SKIP() << "the frame cannot be made the foreground window here";
    }
    EXPECT_TRUE(CXTPDrawHelpers::IsTopParentActive(hWndControl));
    EXPECT_TRUE(CXTPDrawHelpers::IsTopParentActive(hWndOwned));
    EXPECT_TRUE(CXTPDrawHelpers::IsTopParentActive(hWndFrame));

    // Another frame in the foreground: none of them is active.
    HWND hWndOther = ::CreateWindowExA(0, "STATIC", "other", WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, 400, 10, 100,
                                       80, NULL, NULL, ::GetModuleHandle(NULL), NULL);
    ::SetForegroundWindow(hWndOther);
    testsupport::Pump(0);
    if (::GetForegroundWindow() == hWndOther)
    {
        EXPECT_FALSE(CXTPDrawHelpers::IsTopParentActive(hWndControl));
    }
    ::DestroyWindow(hWndOther);
    ::DestroyWindow(hWndFrame);   // takes the owned window and its control
    EXPECT_FALSE(::IsWindow(hWndControl));
}

TEST(DrawHelpers, DitheredFillAlternatesFaceAndHighlight)
{
    Canvas canvas(8, 8, RGB(1, 2, 3));
    ::SetBkColor(canvas.Handle(), RGB(4, 5, 6));
    ::SetTextColor(canvas.Handle(), RGB(7, 8, 9));
    XTPFillDitheredRect(canvas.DC(), CRect(0, 0, 8, 8));
    COLORREF clrFace = GetXTPSysColor(COLOR_BTNFACE), clrHighlight = GetXTPSysColor(COLOR_BTNHIGHLIGHT);
    COLORREF clr00 = canvas.Pixel(0, 0), clr10 = canvas.Pixel(1, 0);
    EXPECT_NE(clr00, clr10);
    EXPECT_TRUE((clr00 == clrFace && clr10 == clrHighlight) || (clr00 == clrHighlight && clr10 == clrFace));
    EXPECT_EQ(clr00, canvas.Pixel(1, 1));
    EXPECT_EQ(clr10, canvas.Pixel(0, 1));
    // The DC's colours are restored.
    EXPECT_EQ(RGB(4, 5, 6), ::GetBkColor(canvas.Handle()));
    EXPECT_EQ(RGB(7, 8, 9), ::GetTextColor(canvas.Handle()));
}

TEST(DrawHelpers, TriangleAndBlur)
{
    Canvas canvas(20, 20);
    {
        CXTPBrushDC brush(canvas.Handle(), RGB(0, 0, 255));
        CXTPPenDC pen(canvas.Handle(), RGB(0, 0, 255));
        CXTPDrawHelpers::DrawTriangle(canvas.DC(), CPoint(2, 2), CPoint(18, 2), CPoint(10, 18));
    }
    EXPECT_EQ(RGB(0, 0, 255), canvas.Pixel(10, 6));
    EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(1, 18));

    canvas.Fill(RGB(255, 255, 255));
    ::SetPixelV(canvas.Handle(), 5, 5, RGB(100, 0, 200));
    ::SetPixelV(canvas.Handle(), 6, 5, RGB(0, 100, 0));
    POINT pts[3] = { { 5, 5 }, { 1, 0 }, { 7, 7 } };  // odd count: the lone point is ignored
    CXTPDrawHelpers::BlurPoints(canvas.DC(), pts, 3);
    EXPECT_EQ(RGB(50, 50, 100), canvas.Pixel(5, 5));
    EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(7, 7));
}

TEST(DrawHelpers, Fonts)
{
    EXPECT_FALSE(CXTPDrawHelpers::FontExists("No Such Font Anywhere 12345"));
    CString strFont = CXTPDrawHelpers::GetDefaultFontName(TRUE);
    EXPECT_FALSE(strFont.IsEmpty());
    LOGFONTA lf;
    ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
    EXPECT_TRUE(strFont == "Tahoma" || strFont == "Arial" || strFont == lf.lfFaceName) << (LPCTSTR)strFont;
    if (!CXTPDrawHelpers::FontExists("Arial"))
    {
        EXPECT_STREQ(lf.lfFaceName, (LPCTSTR)strFont);
    }
    if (CXTPDrawHelpers::FontExists("Tahoma") && CXTPDrawHelpers::FontExists("Arial"))
    {
        EXPECT_TRUE(CXTPDrawHelpers::FontExists("tahoma"));
        EXPECT_STREQ("Tahoma", (LPCTSTR)CXTPDrawHelpers::GetDefaultFontName(TRUE));
        EXPECT_STREQ("Arial", (LPCTSTR)CXTPDrawHelpers::GetDefaultFontName(FALSE));
    }
}

TEST(DrawHelpers, MaskedBitmapBecomesAnIcon)
{
    Canvas source(16, 16, RGB(255, 0, 255));
    ::SetPixelV(source.Handle(), 8, 8, RGB(0, 128, 0));
    ::GdiFlush();
    HBITMAP hBitmap = (HBITMAP)::CopyImage(source.Bitmap(), IMAGE_BITMAP, 0, 0, 0);

    CXTPMaskedBitmap masked(hBitmap);
    EXPECT_EQ(RGB(255, 0, 255), masked.GetMaskColor());
    HICON hIcon = masked.CreateIcon();
    ASSERT_NE(nullptr, hIcon);

    Canvas target(16, 16, RGB(10, 20, 30));
    ::DrawIconEx(target.Handle(), 0, 0, hIcon, 16, 16, 0, NULL, DI_NORMAL);
    EXPECT_EQ(RGB(10, 20, 30), target.Pixel(0, 0));
    EXPECT_EQ(RGB(0, 128, 0), target.Pixel(8, 8));

    ::DestroyIcon(hIcon);
    ::DeleteObject(hBitmap);
    EXPECT_EQ(nullptr, CXTPMaskedBitmap(NULL).CreateIcon());
    EXPECT_EQ(COLORREF_NULL, CXTPMaskedBitmap((HBITMAP)(UINT_PTR)0x1234).GetMaskColor());
}

TEST(SplitterTracker, EscapeCancelsAndButtonUpAccepts)
{
    HWND hWnd = CreateTestWindow(0, 0, 0, 300, 200);
    ASSERT_NE(nullptr, hWnd);
    CWnd* pWnd = CWnd::FromHandle(hWnd);

    testsupport::Pump(0);

    CXTPSplitterTracker tracker(TRUE);
    CRect rcTracker(100, 0, 104, 200);
    ::PostMessage(hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(150, 10));
    ::PostMessage(hWnd, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_FALSE(tracker.Track(pWnd, CRect(50, 0, 250, 200), rcTracker, CPoint(100, 10), TRUE));
    EXPECT_EQ(CRect(150, 0, 154, 200), rcTracker);  // where it was last drawn
    EXPECT_NE(hWnd, ::GetCapture());

    CXTPSplitterTracker tracker2(FALSE);
    CRect rcTracker2(100, 0, 104, 200);
    ::PostMessage(hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(280, 10));  // beyond the limits
    ::PostMessage(hWnd, WM_LBUTTONUP, 0, MAKELPARAM(280, 10));
    EXPECT_TRUE(tracker2.Track(pWnd, CRect(50, 0, 250, 200), rcTracker2, CPoint(100, 10), TRUE));
    EXPECT_EQ(250, rcTracker2.left);
    ::DestroyWindow(hWnd);
}

TEST(OutsideClickMonitor, ClicksOutsideTheWatchedWindowAreSwallowed)
{
    HWND hWnd = CreateTestWindow(0, 10, 10, 100, 100);
    CWnd* pWnd = CWnd::FromHandle(hWnd);
    EXPECT_FALSE(CXTPOutsideClickMonitor::IsMonitoring());
    CXTPOutsideClickMonitor::SetupHook(pWnd);
    EXPECT_TRUE(CXTPOutsideClickMonitor::IsMonitoring());
    EXPECT_NE(nullptr, CXTPOutsideClickMonitor::m_hHookMouse);

    MOUSEHOOKSTRUCT mhs;
    ZeroMemory(&mhs, sizeof(mhs));
    mhs.pt.x = 500;
    mhs.pt.y = 500;
    EXPECT_EQ(1, CXTPOutsideClickMonitor::MouseProc(HC_ACTION, WM_LBUTTONDOWN, (LPARAM)&mhs));
    EXPECT_EQ(1, CXTPOutsideClickMonitor::MouseProc(HC_ACTION, WM_NCRBUTTONDOWN, (LPARAM)&mhs));
    mhs.pt.x = 50;
    mhs.pt.y = 50;
    EXPECT_EQ(0, CXTPOutsideClickMonitor::MouseProc(HC_ACTION, WM_LBUTTONDOWN, (LPARAM)&mhs));

    CXTPOutsideClickMonitor::SetupHook(NULL);
    EXPECT_FALSE(CXTPOutsideClickMonitor::IsMonitoring());
    EXPECT_EQ(nullptr, CXTPOutsideClickMonitor::m_hHookMouse);
    ::DestroyWindow(hWnd);
}

//////////////////////////////////////////////////////////////////////////
// Scoped device contexts

TEST(ScopedDC, BufferCopiesItsRectangleAtTheSamePlace)
{
    Canvas target(200, 100, RGB(0, 0, 0));
    {
        CXTPBufferDC buffer(target.Handle(), CRect(10, 20, 110, 70));
        ASSERT_NE(nullptr, buffer.GetSafeHdc());
        BITMAP bm;
        ::GetObject(::GetCurrentObject(buffer.GetSafeHdc(), OBJ_BITMAP), sizeof(bm), &bm);
        EXPECT_EQ(110, bm.bmWidth);
        EXPECT_EQ(70, bm.bmHeight);
        buffer.FillSolidRect(0, 0, 110, 70, RGB(0, 255, 0));
        EXPECT_EQ(RGB(0, 0, 0), target.Pixel(50, 50));  // nothing copied yet
    }
    EXPECT_EQ(RGB(0, 255, 0), target.Pixel(10, 20));
    EXPECT_EQ(RGB(0, 255, 0), target.Pixel(109, 69));
    EXPECT_EQ(RGB(0, 0, 0), target.Pixel(9, 20));
    EXPECT_EQ(RGB(0, 0, 0), target.Pixel(10, 19));
    EXPECT_EQ(RGB(0, 0, 0), target.Pixel(110, 50));
    EXPECT_EQ(RGB(0, 0, 0), target.Pixel(50, 70));
}

TEST(ScopedDC, FontDcRestoresTheFirstFontAndTheColour)
{
    Canvas canvas(10, 10);
    HGDIOBJ hOriginal = ::GetCurrentObject(canvas.Handle(), OBJ_FONT);
    COLORREF clrOriginal = ::SetTextColor(canvas.Handle(), RGB(1, 2, 3));

    CFont font1, font2;
    font1.CreatePointFont(90, "Tahoma");
    font2.CreatePointFont(120, "Tahoma");
    {
        CXTPFontDC fontDC(canvas.DC());
    }
    EXPECT_EQ(hOriginal, ::GetCurrentObject(canvas.Handle(), OBJ_FONT));
    {
        CXTPFontDC fontDC(canvas.DC(), &font1);
        EXPECT_EQ(font1.GetSafeHandle(), ::GetCurrentObject(canvas.Handle(), OBJ_FONT));
        fontDC.SetFont(&font2);
        EXPECT_EQ(font2.GetSafeHandle(), ::GetCurrentObject(canvas.Handle(), OBJ_FONT));
        fontDC.SetColor(RGB(9, 9, 9));
        fontDC.SetColor(RGB(8, 8, 8));
        EXPECT_EQ(RGB(8, 8, 8), ::GetTextColor(canvas.Handle()));
    }
    EXPECT_EQ(hOriginal, ::GetCurrentObject(canvas.Handle(), OBJ_FONT));
    EXPECT_EQ(RGB(1, 2, 3), ::GetTextColor(canvas.Handle()));
    ::SetTextColor(canvas.Handle(), clrOriginal);
}

TEST(ScopedDC, PenBrushBitmapAndCompatibleDcsRestoreWhatTheySelect)
{
    Canvas canvas(20, 20);
    HDC hDC = canvas.Handle();
    HGDIOBJ hPen = ::GetCurrentObject(hDC, OBJ_PEN), hBrush = ::GetCurrentObject(hDC, OBJ_BRUSH);
    {
        CXTPPenDC pen(hDC, RGB(255, 0, 0));
        CXTPBrushDC brush(hDC, RGB(0, 255, 0));
        EXPECT_NE(hPen, ::GetCurrentObject(hDC, OBJ_PEN));
        EXPECT_EQ(RGB(255, 0, 0), pen.Color());
        ::Rectangle(hDC, 2, 2, 12, 12);
        pen.Color(RGB(0, 0, 255));
        brush.Color(RGB(0, 0, 0));
        ::MoveToEx(hDC, 15, 0, NULL);
        ::LineTo(hDC, 15, 20);
    }
    EXPECT_EQ(hPen, ::GetCurrentObject(hDC, OBJ_PEN));
    EXPECT_EQ(hBrush, ::GetCurrentObject(hDC, OBJ_BRUSH));
    EXPECT_EQ(RGB(255, 0, 0), canvas.Pixel(2, 5));
    EXPECT_EQ(RGB(0, 255, 0), canvas.Pixel(6, 6));
    EXPECT_EQ(RGB(0, 0, 255), canvas.Pixel(15, 10));

    // A bitmap selected by a compatible DC is free again afterwards.
    HBITMAP hBitmap = testsupport::MakeAlphaBitmap(4, 4, [](int, int) { return testsupport::Argb(0, 0, 0, 0); });
    {
        CXTPCompatibleDC dc(canvas.DC(), hBitmap);
        ASSERT_NE(nullptr, dc.GetSafeHdc());
        EXPECT_EQ((HGDIOBJ)hBitmap, ::GetCurrentObject(dc.GetSafeHdc(), OBJ_BITMAP));
        dc.FillSolidRect(0, 0, 4, 4, RGB(7, 8, 9));
    }
    EXPECT_EQ(0x070809u, testsupport::ReadPixel(hBitmap, 1, 1) & 0xFFFFFF);
    {
        // Free again: another DC can select it, and a bitmap DC hands the
        // DC's own bitmap back when it goes.
        HDC hOther = ::CreateCompatibleDC(NULL);
        HGDIOBJ hStock = ::GetCurrentObject(hOther, OBJ_BITMAP);
        CDC* pOther = CDC::FromHandle(hOther);
        {
            CXTPBitmapDC bitmapDC(pOther, hBitmap);
            EXPECT_EQ((HGDIOBJ)hBitmap, ::GetCurrentObject(hOther, OBJ_BITMAP));
        }
        EXPECT_EQ(hStock, ::GetCurrentObject(hOther, OBJ_BITMAP));
        ::DeleteDC(hOther);
    }
    ::DeleteObject(hBitmap);
}

TEST(ScopedDC, NoGdiObjectsLeak)
{
    Canvas canvas(50, 50);
    HBITMAP hMasked = testsupport::MakeAlphaBitmap(8, 8, [](int x, int) { return x ? 0xFF0000u : 0xFFu; });
    CFont font;
    font.CreatePointFont(90, "Tahoma");
    auto cycle = [&](int i) {
        CXTPBufferDC buffer(canvas.Handle(), CRect(0, 0, 50, 50));
        CXTPPenDC pen(buffer.GetSafeHdc(), RGB(i, 0, 0));
        CXTPBrushDC brush(buffer.GetSafeHdc(), RGB(0, i, 0));
        CXTPFontDC fontDC(&buffer, &font);
        CXTPCompatibleDC compatible(&buffer, (HBITMAP)NULL);
        XTPFillDitheredRect(&buffer, CRect(0, 0, 10, 10));
        CXTPMaskedBitmap masked(hMasked);
        HICON hIcon = masked.CreateIcon();
        ::DestroyIcon(hIcon);
        CSlowDrawHelpers().GradientFill(&buffer, CRect(0, 0, 50, 50), RGB(i, 0, 0), RGB(0, 0, 255), TRUE);
    };
    cycle(0);
    DWORD dwBefore = testsupport::GdiHighWater();
    for (int i = 1; i < 50; i++)
        cycle(i);
    DWORD dwAfter = testsupport::GdiHighWater();
    EXPECT_LE(dwAfter, dwBefore + 2);
    ::DeleteObject(hMasked);
}
