// ctest: run-serial (drives the real pointer, keyboard or foreground window)
// The tooltip context: tip windows of each style, placement, delays, clicks,
// titles, mnemonics and the styles' colours on a memory DC.
#include <gtest/gtest.h>

#include "XTPOffice2007Image.h"

#include "XTPColorManager.h"
#include "XTPRichRender.h"
#include "XTPToolTipContext.h"
#include "support/testwindows.h"

#include <vector>

namespace
{
struct ToolDef
{
    CRect rc;
    UINT nID;
    const char* pszText;
    const char* pszTitle;
    const char* pszDescription;
};

// A window that answers hit tests with a fixed set of tools.
class TipOwner : public CWnd
{
public:
    std::vector<ToolDef> m_tools;
    UINT m_nExtraFlags = 0;   // added to every tool's flags

    BOOL CreateAt(int x, int y, int cx, int cy)
    {
        return CreateEx(0, AfxRegisterWndClass(0, ::LoadCursorA(NULL, IDC_ARROW)), "owner", WS_POPUP | WS_VISIBLE,
                        x, y, cx, cy, NULL, NULL);
    }

    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override
    {
        for (const ToolDef& tool : m_tools)
        {
            if (!tool.rc.PtInRect(point))
                continue;
            CXTPToolTipContext::FillInToolInfoEx(pTI, m_hWnd, tool.rc, tool.nID, tool.pszText,
                                                 tool.pszTitle ? tool.pszTitle : "",
                                                 tool.pszDescription ? tool.pszDescription : "", NULL);
            pTI->uFlags |= m_nExtraFlags;
            return tool.nID;
        }
        return -1;
    }
};

class ToolTipTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_owner.CreateAt(100, 100, 300, 120));
        m_owner.m_tools = {
            { CRect(10, 10, 60, 40), 1, "First &tool && more", NULL, NULL },
            { CRect(70, 10, 120, 40), 2, "Second", NULL, NULL },
            { CRect(130, 10, 180, 40), 3, "Same tool", "Same", "Same" },
            { CRect(190, 10, 240, 40), 4, "Plain", "Save", "Saves the file" },
        };
        ::SetForegroundWindow(m_owner.m_hWnd);
        ::SetActiveWindow(m_owner.m_hWnd);
        testsupport::Pump(30);
    }
    void TearDown() override
    {
        ::SetWindowPos(m_owner.m_hWnd, NULL, 0, 0, 0, 0,
                       SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        m_ctx.CancelToolTips();
        m_owner.DestroyWindow();
        testsupport::Pump(10);
    }

    // Moves the cursor to a client point of the owner and forwards the move.
    void MoveTo(int x, int y, UINT nMessage = WM_MOUSEMOVE)
    {
        ::SetCursorPos(100 + x, 100 + y);
        m_ctx.FilterToolTipMessage(&m_owner, nMessage, 0, MAKELPARAM(x, y));
    }
    CXTPToolTipContextToolTip* Tip() { return dynamic_cast<CXTPToolTipContextToolTip*>(m_ctx.GetToolTip()); }

    TipOwner m_owner;
    CXTPToolTipContext m_ctx;
};
} // namespace

TEST_F(ToolTipTest, OwnTipWaitsThenShowsBelowTheCursor)
{
    m_ctx.SetStyle(CXTPToolTipContext::xtpToolTipOffice);
    MoveTo(20, 20);
    CXTPToolTipContextToolTip* pTip = Tip();
    ASSERT_NE(nullptr, pTip);
    EXPECT_TRUE(pTip->IsActive());
    EXPECT_EQ(1, pTip->GetToolCount());
    EXPECT_EQ(1u, pTip->GetPendingTool().uId) << "a first tip waits for the initial delay";
    EXPECT_NE(0u, pTip->GetShowTimer());
    EXPECT_FALSE(pTip->IsWindowVisible());
    EXPECT_EQ(500, pTip->GetInitialDelay());
    EXPECT_EQ(200, pTip->GetReshowDelay());

    pTip->OnShowTimer();
    ASSERT_TRUE(pTip->IsWindowVisible());
    EXPECT_EQ(1u, pTip->GetShownTool().uId);
    EXPECT_EQ(0u, pTip->GetShowTimer());
    CRect rc;
    pTip->GetWindowRect(&rc);
    EXPECT_EQ(120, rc.left);
    EXPECT_EQ(120 + CXTPToolTipContextToolTip::GetCursorHeight(::GetCursor()), rc.top);
    EXPECT_GT(rc.Width(), 0);
    EXPECT_GT(rc.Height(), 0);
}

TEST_F(ToolTipTest, NextToolWithinTheReshowDelayShowsAtOnceAfterAPauseItWaits)
{
    m_ctx.SetStyle(CXTPToolTipContext::xtpToolTipOffice);
    MoveTo(20, 20);
    CXTPToolTipContextToolTip* pTip = Tip();
    ASSERT_NE(nullptr, pTip);
    pTip->OnShowTimer();
    ASSERT_TRUE(pTip->IsWindowVisible());

    MoveTo(65, 60);   // between the tools: the tip goes
    EXPECT_FALSE(pTip->IsWindowVisible());
    MoveTo(80, 20);   // at once into the second tool
    EXPECT_TRUE(pTip->IsWindowVisible());
    EXPECT_EQ(2u, pTip->GetShownTool().uId);

    MoveTo(65, 60);
    pTip->SetLastShowTime(::GetTickCount() - 1000);
    MoveTo(20, 20);
    EXPECT_FALSE(pTip->IsWindowVisible());
    EXPECT_EQ(1u, pTip->GetPendingTool().uId);
}

TEST_F(ToolTipTest, ClickHidesTheTipUntilTheMouseLeavesTheTool)
{
    m_ctx.SetStyle(CXTPToolTipContext::xtpToolTipOffice);
    MoveTo(20, 20);
    CXTPToolTipContextToolTip* pTip = Tip();
    ASSERT_NE(nullptr, pTip);
    pTip->OnShowTimer();
    ASSERT_TRUE(pTip->IsWindowVisible());

    MoveTo(20, 20, WM_LBUTTONDOWN);
    EXPECT_FALSE(pTip->IsWindowVisible());
    MoveTo(22, 21);
    MoveTo(24, 22);
    EXPECT_FALSE(pTip->IsWindowVisible());
    EXPECT_EQ(0u, pTip->GetShowTimer());

    MoveTo(80, 20);
    EXPECT_TRUE(pTip->IsWindowVisible() || pTip->GetPendingTool().uId == 2u);
}

// The mouse may leave for a point where no window of the program hears of the
// move (the desktop): the tip goes all the same, by its own check.
TEST_F(ToolTipTest, TipGoesWhenTheCursorLeavesForAPlaceNoWindowOfTheProgramCovers)
{
    m_ctx.SetStyle(CXTPToolTipContext::xtpToolTipOffice);
    MoveTo(20, 20);
    CXTPToolTipContextToolTip* pTip = Tip();
    ASSERT_NE(nullptr, pTip);
    pTip->OnShowTimer();
    ASSERT_TRUE(pTip->IsWindowVisible());

    // Still on the tool: it stays.
    pTip->OnLeaveTimer();
    EXPECT_TRUE(pTip->IsWindowVisible());
    EXPECT_EQ(1u, pTip->GetShownTool().uId);

    // Off every window of the process, with no message to anyone.
    ::SetCursorPos(900, 900);
    testsupport::Pump(400);
    EXPECT_FALSE(pTip->IsWindowVisible()) << "the leave check did not run";
    EXPECT_TRUE(pTip->GetShownTool().IsEmpty());

    // Shown again, then the cursor moves onto the owner beside the tools.
    MoveTo(80, 20);
    pTip->SetLastShowTime(::GetTickCount());
    MoveTo(80, 22);
    if (!pTip->IsWindowVisible())
        pTip->OnShowTimer();
    ASSERT_TRUE(pTip->IsWindowVisible());
    ::SetCursorPos(100 + 65, 100 + 80);
    pTip->OnLeaveTimer();
    EXPECT_FALSE(pTip->IsWindowVisible());
}

TEST_F(ToolTipTest, OwnTipRemembersAClickRelayedToIt)
{
    m_ctx.SetStyle(CXTPToolTipContext::xtpToolTipOffice);
    MoveTo(20, 20);
    CXTPToolTipContextToolTip* pTip = Tip();
    ASSERT_NE(nullptr, pTip);
    MSG msg = {};
    msg.hwnd = m_owner.m_hWnd;
    msg.message = WM_LBUTTONDOWN;
    msg.pt = CPoint(120, 120);
    pTip->SendMessage(TTM_RELAYEVENT, 0, (LPARAM)&msg);
    EXPECT_EQ(1u, pTip->GetClickedTool().uId);
    EXPECT_EQ(0u, pTip->GetShowTimer());
    msg.message = WM_MOUSEMOVE;
    pTip->SendMessage(TTM_RELAYEVENT, 0, (LPARAM)&msg);
    EXPECT_EQ(0u, pTip->GetShowTimer()) << "the clicked tool shows nothing";
    EXPECT_FALSE(pTip->IsWindowVisible());
}

TEST_F(ToolTipTest, TipThatWouldCrossTheBottomOpensAboveTheCursor)
{
    m_owner.SetWindowPos(NULL, 100, 980, 300, 40, SWP_NOZORDER | SWP_NOACTIVATE);
    m_ctx.SetStyle(CXTPToolTipContext::xtpToolTipOffice);
    ::SetCursorPos(120, 1010);
    m_ctx.FilterToolTipMessage(&m_owner, WM_MOUSEMOVE, 0, MAKELPARAM(20, 30));
    CXTPToolTipContextToolTip* pTip = Tip();
    ASSERT_NE(nullptr, pTip);
    pTip->OnShowTimer();
    ASSERT_TRUE(pTip->IsWindowVisible());
    CRect rc;
    pTip->GetWindowRect(&rc);
    EXPECT_EQ(1010 - 3, rc.bottom);
}

TEST_F(ToolTipTest, TitleEqualToTheDescriptionShowsThePlainText)
{
    m_ctx.SetStyle(CXTPToolTipContext::xtpToolTipOffice);
    m_ctx.ShowTitleAndDescription(TRUE);
    MoveTo(140, 20);
    CXTPToolTipContextToolTip* pTip = Tip();
    ASSERT_NE(nullptr, pTip);
    pTip->OnShowTimer();
    EXPECT_TRUE(pTip->GetTitle().IsEmpty());
    EXPECT_STREQ("Same tool", pTip->GetShownTool().strText);

    MoveTo(200, 20);
    EXPECT_STREQ("Save", pTip->GetTitle());
    pTip->OnShowTimer();
    EXPECT_STREQ("Saves the file", pTip->GetShownTool().strText);
}

TEST_F(ToolTipTest, MnemonicsAreStrippedOnlyWithoutNoPrefix)
{
    m_ctx.SetStyle(CXTPToolTipContext::xtpToolTipOffice);
    MoveTo(20, 20);
    ASSERT_NE(nullptr, Tip());
    Tip()->OnShowTimer();
    EXPECT_STREQ("First &tool && more", Tip()->GetShownTool().strText);

    m_ctx.ModifyToolTipStyle(TTS_NOPREFIX, 0);
    EXPECT_EQ(nullptr, m_ctx.GetToolTip()) << "a style change makes a new tip window";
    MoveTo(21, 20);
    ASSERT_NE(nullptr, Tip());
    Tip()->OnShowTimer();
    EXPECT_STREQ("First tool & more", Tip()->GetShownTool().strText);
}

TEST_F(ToolTipTest, SizeFollowsTheTextAndTheMargins)
{
    m_ctx.SetStyle(CXTPToolTipContext::xtpToolTipOffice);
    m_ctx.SetMargin(CRect(2, 3, 4, 5));
    MoveTo(80, 20);
    CXTPToolTipContextToolTip* pTip = Tip();
    ASSERT_NE(nullptr, pTip);

    XTP_TOOLTIP_TOOLITEM tool;
    tool.strText = "Hello";
    CClientDC dc(pTip);
    CFont* pOld = dc.SelectObject(m_ctx.GetFont());
    CRect rcText(0, 0, ::GetSystemMetrics(SM_CXSCREEN) - 12, 0);
    dc.DrawText("Hello", &rcText, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    dc.SelectObject(pOld);

    CSize sz = pTip->GetToolTipSize(&tool);
    EXPECT_EQ(rcText.Width() + 2 + 4 + 6, sz.cx);
    EXPECT_EQ(rcText.Height() + 3 + 5 + 6, sz.cy);
    tool.strText.Empty();
    EXPECT_EQ(CSize(0, 0), pTip->GetToolTipSize(&tool));
}

TEST_F(ToolTipTest, StylesPaintTheirBackgrounds)
{
    XTP_TOOLTIP_TOOLITEM tool;
    tool.strText = "x";
    CRect rc(0, 0, 30, 40);

    m_ctx.SetStyle(CXTPToolTipContext::xtpToolTipOffice);
    MoveTo(20, 20);
    ASSERT_NE(nullptr, Tip());
    {
        testsupport::Canvas canvas(30, 40);
        Tip()->DrawBackground(canvas.DC(), &tool, rc);
        EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(0, 0));
        EXPECT_EQ(GetXTPSysColor(COLOR_INFOBK), canvas.Pixel(15, 20));
    }
    EXPECT_EQ(GetXTPSysColor(COLOR_INFOTEXT), m_ctx.GetTipTextColor());

    m_ctx.SetStyle(CXTPToolTipContext::xtpToolTipOffice2007);
    MoveTo(21, 20);
    ASSERT_NE(nullptr, dynamic_cast<CXTPToolTipContext::COffice2007ToolTip*>(m_ctx.GetToolTip()));
    {
        testsupport::Canvas canvas(30, 40);
        Tip()->DrawBackground(canvas.DC(), &tool, rc);
        // The colours of the program's Office 2007 theme text.
        CXTPOffice2007ImageStore* pStore = XTPOffice2007ImageStore();
        COLORREF clrBorder = pStore->GetImageColor(_T("Window"), _T("TooltipBorder"));
        COLORREF clrDark = pStore->GetImageColor(_T("Window"), _T("TooltipDark"));
        ASSERT_NE(COLORREF_NULL, clrBorder);
        EXPECT_EQ(clrBorder, canvas.Pixel(0, 0));
        EXPECT_EQ(clrBorder, canvas.Pixel(29, 39));
        COLORREF clrTop = canvas.Pixel(15, 1);
        COLORREF clrBottom = canvas.Pixel(15, 38);
        EXPECT_GE(GetRValue(clrTop), 245);
        EXPECT_NEAR(GetRValue(clrDark), GetRValue(clrBottom), 8);
        EXPECT_NEAR(GetBValue(clrDark), GetBValue(clrBottom), 8);
    }
    EXPECT_EQ(RGB(76, 76, 76), m_ctx.GetTipTextColor());

    m_ctx.SetStyle(CXTPToolTipContext::xtpToolTipLuna);
    MoveTo(22, 20);
    ASSERT_NE(nullptr, dynamic_cast<CXTPToolTipContext::CLunaToolTip*>(m_ctx.GetToolTip()));
    {
        // No visual style: from the background colour to white, black frame.
        testsupport::Canvas canvas(30, 40);
        Tip()->DrawBackground(canvas.DC(), &tool, rc);
        EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(0, 0));
        EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(15, 38));
    }

    m_ctx.SetTipBkColor(RGB(10, 20, 30));
    m_ctx.SetTipTextColor(RGB(40, 50, 60));
    EXPECT_EQ(RGB(10, 20, 30), m_ctx.GetTipBkColor());
    EXPECT_EQ(RGB(40, 50, 60), m_ctx.GetTipTextColor());
}

TEST_F(ToolTipTest, RichTextTipMeasuresRtfAndPlainText)
{
    m_ctx.SetStyle(CXTPToolTipContext::xtpToolTipRTF);
    MoveTo(20, 20);
    CXTPToolTipContext::CRichEditToolTip* pTip =
        dynamic_cast<CXTPToolTipContext::CRichEditToolTip*>(m_ctx.GetToolTip());
    ASSERT_NE(nullptr, pTip);
    if (!pTip->GetRichRender()->IsAvailable())
        GTEST_SKIP() << "no windowless rich edit here";

    XTP_TOOLTIP_TOOLITEM tool;
    tool.strText = "{\\rtf1 Rich {\\b text}}";
    CSize szRtf = pTip->GetToolTipSize(&tool);
    EXPECT_GT(szRtf.cx, 6);
    EXPECT_GT(szRtf.cy, 6);
    tool.strText = "Plain words";
    CSize szPlain = pTip->GetToolTipSize(&tool);
    EXPECT_GT(szPlain.cx, 6);
    EXPECT_GT(szPlain.cy, 6);
    tool.strText.Empty();
    EXPECT_EQ(CSize(0, 0), pTip->GetToolTipSize(&tool));
}

TEST_F(ToolTipTest, PlatformTipGetsTheToolsAndTheCommonSettings)
{
    m_ctx.SetStyle(CXTPToolTipContext::xtpToolTipStandard);
    m_ctx.SetMaxTipWidth(200);
    m_ctx.SetDelayTime(TTDT_INITIAL, 321);
    MoveTo(20, 20);
    CWnd* pTip = m_ctx.GetToolTip();
    ASSERT_NE(nullptr, pTip);
    ASSERT_EQ(nullptr, dynamic_cast<CXTPToolTipContextToolTip*>(pTip));
    char szClass[64] = {};
    ::GetClassNameA(pTip->m_hWnd, szClass, sizeof(szClass));
    EXPECT_STREQ(TOOLTIPS_CLASSA, szClass);
    EXPECT_EQ(1, (int)pTip->SendMessage(TTM_GETTOOLCOUNT));
    EXPECT_EQ(200, (int)pTip->SendMessage(TTM_GETMAXTIPWIDTH));
    EXPECT_EQ(321, (int)pTip->SendMessage(TTM_GETDELAYTIME, TTDT_INITIAL));
    EXPECT_EQ(m_owner.m_hWnd, ::GetParent(pTip->m_hWnd));

    MoveTo(80, 20);
    EXPECT_EQ(1, (int)pTip->SendMessage(TTM_GETTOOLCOUNT)) << "the previous tool is removed";
    MoveTo(65, 90);
    EXPECT_EQ(0, (int)pTip->SendMessage(TTM_GETTOOLCOUNT));
}

namespace
{
LRESULT CALLBACK PassThroughChildProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg == XTP_TTM_WINDOWFROMPOINT)
        return 1;
    return ::DefWindowProcA(hWnd, nMsg, wParam, lParam);
}
} // namespace

TEST_F(ToolTipTest, ChildWindowsThatAskForItAreTreatedAsTheirParent)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = PassThroughChildProc;
    wc.hInstance = ::GetModuleHandleA(NULL);
    wc.lpszClassName = "F2PassThroughChild";
    ::RegisterClassA(&wc);
    HWND hChild = ::CreateWindowExA(0, "F2PassThroughChild", "", WS_CHILD | WS_VISIBLE, 250, 50, 40, 40,
                                    m_owner.m_hWnd, NULL, ::GetModuleHandleA(NULL), NULL);
    ASSERT_NE((HWND)NULL, hChild);
    POINT pt = { 100 + 260, 100 + 60 };

    m_ctx.SetStyle(CXTPToolTipContext::xtpToolTipOffice);
    MoveTo(20, 20);
    ASSERT_NE(nullptr, m_ctx.GetToolTip());
    EXPECT_EQ((LRESULT)m_owner.m_hWnd, m_ctx.GetToolTip()->SendMessage(TTM_WINDOWFROMPOINT, 0, (LPARAM)&pt));

    m_ctx.SetStyle(CXTPToolTipContext::xtpToolTipStandard);
    MoveTo(21, 20);
    ASSERT_NE(nullptr, m_ctx.GetToolTip());
    EXPECT_EQ((LRESULT)m_owner.m_hWnd, m_ctx.GetToolTip()->SendMessage(TTM_WINDOWFROMPOINT, 0, (LPARAM)&pt));
    testsupport::DestroyQuietly(hChild);
}

TEST_F(ToolTipTest, KeysAndButtonPressesCancelTheTip)
{
    m_ctx.SetStyle(CXTPToolTipContext::xtpToolTipOffice);
    MoveTo(20, 20);
    CXTPToolTipContextToolTip* pTip = Tip();
    ASSERT_NE(nullptr, pTip);
    pTip->OnShowTimer();
    ASSERT_TRUE(pTip->IsWindowVisible());
    m_ctx.FilterToolTipMessage(&m_owner, WM_KEYDOWN, 'A', 0);
    EXPECT_FALSE(pTip->IsWindowVisible());
    EXPECT_FALSE(pTip->IsActive());
}

TEST_F(ToolTipTest, ToolsFlaggedAlwaysTipActivateWhileTheFrameIsInactive)
{
    // Another window takes the foreground: the owner's frame is inactive.
    HWND hWndOther = testsupport::CreatePlainWindow(500, 500, 50, 50);
    ::SetForegroundWindow(hWndOther);
    testsupport::Pump(10);
    if (::GetForegroundWindow() != hWndOther)
    {
        testsupport::DestroyQuietly(hWndOther);
        GTEST_SKIP() << "the foreground cannot be moved here";
    }
    m_ctx.SetStyle(CXTPToolTipContext::xtpToolTipOffice);
    MoveTo(20, 20);
    ASSERT_NE(nullptr, Tip());
    EXPECT_FALSE(Tip()->IsActive()) << "an ordinary tool waits for an active frame";

    m_owner.m_nExtraFlags = TTF_ALWAYSTIP;
    MoveTo(80, 20);
    EXPECT_TRUE(Tip()->IsActive());
    EXPECT_EQ(0u, Tip()->GetPendingTool().uFlags & TTF_ALWAYSTIP) << "the tip control never sees the flag";
    testsupport::DestroyQuietly(hWndOther);
}

TEST_F(ToolTipTest, TheAncestorWalkStopsAtAWindowWithItsOwnTooltips)
{
    // owner -> panel (keeps its own tooltips) -> button; owner -> label.
    CWnd panel, button, label;
    ASSERT_TRUE(panel.Create(NULL, "panel", WS_CHILD | WS_VISIBLE, CRect(0, 50, 100, 110), &m_owner, 10));
    ASSERT_TRUE(button.Create("BUTTON", "b", WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 30), &panel, 11));
    ASSERT_TRUE(label.Create("STATIC", "l", WS_CHILD | WS_VISIBLE, CRect(150, 50, 250, 110), &m_owner, 12));
    panel.EnableToolTips(TRUE);
    m_ctx.SetStyle(CXTPToolTipContext::xtpToolTipOffice);

    MSG msg = {};
    msg.message = WM_MOUSEMOVE;
    msg.hwnd = button.m_hWnd;
    msg.pt = CPoint(120, 120);   // over the first tool of the owner
    ::SetCursorPos(msg.pt.x, msg.pt.y);
    m_ctx.FilterToolTipMessage(&m_owner, &msg);
    EXPECT_EQ(nullptr, m_ctx.GetToolTip()) << "the panel's tooltips are its own";

    msg.hwnd = label.m_hWnd;
    m_ctx.FilterToolTipMessage(&m_owner, &msg);
    ASSERT_NE(nullptr, Tip());
    EXPECT_EQ(1u, Tip()->GetPendingTool().uId);
    panel.EnableToolTips(FALSE);
    label.DestroyWindow();
    button.DestroyWindow();
    panel.DestroyWindow();
}
