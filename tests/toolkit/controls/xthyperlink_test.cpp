// The hyperlink: its address from the window text, the tooltip, the hand
// cursor over the text only, the three colours, clicks that open the
// address through a replaced shell call, and the shell's error texts.
// ctest: run-serial
#include "support/snapshot.h"
#include "support/themedcontrols.h"

#include "XTHyperLink.h"

#include <shellapi.h>

#include <memory>
#include <string>
#include <vector>

using testsupport::Boxes;
using testsupport::Canvas;
using testsupport::HostDialog;

namespace
{
::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new testsupport::Environment);

const int kLeftID = 1001;
const int kCentreID = 1002;
const int kRightID = 1003;
const int kFrameID = 1004;

struct ShellCall
{
    std::string strOperation;
    std::string strFile;
    int nShow;
};
std::vector<ShellCall> g_calls;
INT_PTR g_nShellResult = 42;

HINSTANCE WINAPI FakeShellExecute(HWND, LPCTSTR lpOperation, LPCTSTR lpFile, LPCTSTR, LPCTSTR, INT nShowCmd)
{
    g_calls.push_back({lpOperation != NULL ? lpOperation : "", lpFile != NULL ? lpFile : "", nShowCmd});
    return (HINSTANCE)g_nShellResult;
}

class HyperLinkTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pfnOld = CXTHyperLink::SetShellExecute(&FakeShellExecute);
        g_calls.clear();
        g_nShellResult = 42;
        Boxes().texts.clear();
        m_tmpl.reset(new testsupport::DialogTemplate("Links", WS_POPUP | WS_VISIBLE, 200, 90));
        m_tmpl->AddItem("STATIC", "www.example.org", kLeftID, SS_LEFT, 10, 10, 180, 12);
        m_tmpl->AddItem("STATIC", "centred", kCentreID, SS_CENTER, 10, 30, 180, 12);
        m_tmpl->AddItem("STATIC", "right", kRightID, SS_RIGHT, 10, 50, 180, 12);
        m_tmpl->AddItem("STATIC", "", kFrameID, SS_BLACKFRAME, 10, 70, 40, 12);
        m_dlg.reset(new HostDialog(*m_tmpl));
        m_dlg->SetWindowPos(&CWnd::wndTopMost, 100, 100, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
        ASSERT_TRUE(m_left.SubclassDlgItem(kLeftID, m_dlg.get()));
        ASSERT_TRUE(m_centre.SubclassDlgItem(kCentreID, m_dlg.get()));
        ASSERT_TRUE(m_right.SubclassDlgItem(kRightID, m_dlg.get()));
        ASSERT_TRUE(m_frame.SubclassDlgItem(kFrameID, m_dlg.get()));
        m_dlg->UpdateWindow();
        testsupport::PumpPending();
    }
    void TearDown() override
    {
        m_left.UnsubclassWindow();
        m_centre.UnsubclassWindow();
        m_right.UnsubclassWindow();
        m_frame.UnsubclassWindow();
        m_dlg.reset();
        CXTHyperLink::SetShellExecute(m_pfnOld);
    }
    // The text's extent in the link's font.
    CSize TextSize(CXTHyperLink& link)
    {
        CString str;
        link.GetWindowText(str);
        CClientDC dc(&link);
        CFont* pOld = dc.SelectObject(link.GetFont());
        CSize size = dc.GetTextExtent(str);
        dc.SelectObject(pOld);
        return size;
    }
    CRect ScreenRect(CWnd& wnd)
    {
        CRect rc;
        wnd.GetWindowRect(&rc);
        return rc;
    }
    // A point of the left link in screen coordinates, over its text or beside it.
    CPoint OverText() { return ScreenRect(m_left).TopLeft() + CSize(3, 5); }
    CPoint BesideText() { return CPoint(ScreenRect(m_left).left + TextSize(m_left).cx + 20, ScreenRect(m_left).top + 5); }
    void Click(CXTHyperLink& link)
    {
        m_dlg->SendMessage(WM_COMMAND, MAKEWPARAM(link.GetDlgCtrlID(), STN_CLICKED), (LPARAM)link.m_hWnd);
    }
    // The link as it paints itself, on white.
    std::unique_ptr<Canvas> Paint(CXTHyperLink& link)
    {
        CRect rc;
        link.GetClientRect(&rc);
        std::unique_ptr<Canvas> canvas(new Canvas(rc.Width(), rc.Height(), RGB(255, 255, 255)));
        link.SendMessage(WM_PRINTCLIENT, (WPARAM)canvas->Handle(), PRF_CLIENT);
        ::GdiFlush();
        return canvas;
    }

    CXTHyperLink::PFNSHELLEXECUTE m_pfnOld = NULL;
    std::unique_ptr<testsupport::DialogTemplate> m_tmpl;
    std::unique_ptr<HostDialog> m_dlg;
    CXTHyperLink m_left, m_centre, m_right, m_frame;
};
} // namespace

TEST_F(HyperLinkTest, AnEmptyAddressIsTheWindowTextAndTheTooltipHoldsIt)
{
    EXPECT_STREQ("www.example.org", m_left.GetURL());
    EXPECT_TRUE((m_left.GetStyle() & SS_NOTIFY) != 0);
    ASSERT_TRUE(m_left.GetToolTip().m_hWnd != NULL);
    CString strTip;
    m_left.GetToolTip().GetText(strTip, &m_left);
    EXPECT_STREQ("www.example.org", strTip);
    // A new address replaces the tip's text.
    m_left.SetURL("http://example.net/");
    m_left.GetToolTip().GetText(strTip, &m_left);
    EXPECT_STREQ("http://example.net/", strTip);

    // Underlined in the control's own font; the underline can be taken off.
    LOGFONT lf = {};
    ASSERT_TRUE(m_left.GetFont()->GetLogFont(&lf));
    EXPECT_EQ(1, lf.lfUnderline);
    m_left.SetUnderline(FALSE);
    ASSERT_TRUE(m_left.GetFont()->GetLogFont(&lf));
    EXPECT_EQ(0, lf.lfUnderline);
    EXPECT_FALSE(m_left.GetUnderline());

    // A static without text is no text control and keeps its empty address.
    EXPECT_FALSE(m_frame.IsTextControl());
    EXPECT_TRUE(m_frame.GetURL().IsEmpty());
    EXPECT_TRUE(m_frame.GetToolTip().m_hWnd == NULL);
}

TEST_F(HyperLinkTest, TheHandCursorShowsOverTheTextOnly)
{
    EXPECT_EQ(::LoadCursor(NULL, IDC_HAND), m_left.GetLinkCursor());
    ASSERT_TRUE(m_left.GetLinkCursor() != NULL);

    ::SetCursorPos(OverText().x, OverText().y);
    EXPECT_TRUE(m_left.PointInText());
    EXPECT_EQ(TRUE, m_left.SendMessage(WM_SETCURSOR, (WPARAM)m_left.m_hWnd, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    EXPECT_EQ(m_left.GetLinkCursor(), ::GetCursor());

    ::SetCursorPos(BesideText().x, BesideText().y);
    EXPECT_FALSE(m_left.PointInText());
    ::SetCursor(::LoadCursor(NULL, IDC_ARROW));
    m_left.SendMessage(WM_SETCURSOR, (WPARAM)m_left.m_hWnd, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_NE(m_left.GetLinkCursor(), ::GetCursor());

    // Centred and right-aligned text: the hit area follows the text.
    const CRect rcCentre = ScreenRect(m_centre), rcRight = ScreenRect(m_right);
    const int cxCentre = TextSize(m_centre).cx, cxRight = TextSize(m_right).cx;
    EXPECT_TRUE(m_centre.PointInText(CPoint(rcCentre.CenterPoint().x, rcCentre.top + 3)));
    EXPECT_FALSE(m_centre.PointInText(CPoint(rcCentre.left + 2, rcCentre.top + 3)));
    EXPECT_FALSE(m_centre.PointInText(CPoint(rcCentre.CenterPoint().x + cxCentre / 2 + 3, rcCentre.top + 3)));
    EXPECT_TRUE(m_right.PointInText(CPoint(rcRight.right - cxRight + 1, rcRight.top + 3)));
    EXPECT_FALSE(m_right.PointInText(CPoint(rcRight.right - cxRight - 3, rcRight.top + 3)));
    // A static without text counts everywhere.
    EXPECT_TRUE(m_frame.PointInText(CPoint(0, 0)));
    EXPECT_EQ((LRESULT)HTCLIENT, m_left.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(OverText().x, OverText().y)));
}

TEST_F(HyperLinkTest, HoveringRecoloursTheLinkAndLeavingRestoresIt)
{
    ::SetCursorPos(OverText().x, OverText().y);
    m_left.OnHoverTimer();
    EXPECT_TRUE(m_left.GetHover());
    std::unique_ptr<Canvas> hover = Paint(m_left);
    ::SetCursorPos(BesideText().x, BesideText().y);
    m_left.OnHoverTimer();
    EXPECT_FALSE(m_left.GetHover());
    std::unique_ptr<Canvas> normal = Paint(m_left);
    m_left.SetVisited(TRUE);
    std::unique_ptr<Canvas> visited = Paint(m_left);

    EXPECT_GT(testsupport::CountPixels(*normal, RGB(0, 0, 255)), 10);
    EXPECT_EQ(0, testsupport::CountPixels(*normal, RGB(255, 0, 0)));
    EXPECT_GT(testsupport::CountPixels(*hover, RGB(255, 0, 0)), 10);
    EXPECT_EQ(0, testsupport::CountPixels(*hover, RGB(0, 0, 255)));
    EXPECT_GT(testsupport::CountPixels(*visited, RGB(128, 0, 128)), 10);
    EXPECT_EQ(0, testsupport::CountPixels(*visited, RGB(0, 0, 255)));

    // The three side by side, for a person to look at.
    const int cx = normal->Width(), cy = normal->Height();
    Canvas all(cx, cy * 3, RGB(255, 255, 255));
    ::BitBlt(all.Handle(), 0, 0, cx, cy, normal->Handle(), 0, 0, SRCCOPY);
    ::BitBlt(all.Handle(), 0, cy, cx, cy, hover->Handle(), 0, 0, SRCCOPY);
    ::BitBlt(all.Handle(), 0, 2 * cy, cx, cy, visited->Handle(), 0, 0, SRCCOPY);
    EXPECT_FALSE(testsupport::SaveSnapshot(all, "link_normal_hover_visited").empty());

    // Other colours, and a back colour of its own.
    m_left.SetColors(RGB(0, 128, 0), RGB(0, 0, 128), RGB(128, 128, 0));
    EXPECT_GT(testsupport::CountPixels(*Paint(m_left), RGB(0, 0, 128)), 10);
    EXPECT_EQ(::GetSysColor(COLOR_3DFACE), m_left.GetBackColor());
    m_left.SetBackColor(RGB(255, 255, 200));
    EXPECT_EQ(RGB(255, 255, 200), m_left.GetBackColor());
    // Painted on the screen over its back colour.
    testsupport::Pump(100);
    const CPoint ptBeside = BesideText();
    HDC hScreen = ::GetDC(NULL);
    const COLORREF clrScreen = ::GetPixel(hScreen, ptBeside.x, ptBeside.y);
    ::ReleaseDC(NULL, hScreen);
    EXPECT_EQ(RGB(255, 255, 200), clrScreen);
}

TEST_F(HyperLinkTest, AClickOpensTheAddressAndMarksTheLinkVisited)
{
    ::SetCursorPos(BesideText().x, BesideText().y);
    Click(m_left);
    EXPECT_TRUE(g_calls.empty());
    EXPECT_FALSE(m_left.GetVisited());

    ::SetCursorPos(OverText().x, OverText().y);
    Click(m_left);
    ASSERT_EQ(1u, g_calls.size());
    EXPECT_EQ("open", g_calls[0].strOperation);
    EXPECT_EQ("www.example.org", g_calls[0].strFile);
    EXPECT_EQ(SW_SHOW, g_calls[0].nShow);
    EXPECT_TRUE(m_left.GetVisited());
    EXPECT_TRUE(Boxes().texts.empty());

    // Without opening, a click only marks the link visited.
    m_left.SetVisited(FALSE);
    m_left.m_bOpenURL = FALSE;
    Click(m_left);
    EXPECT_EQ(1u, g_calls.size());
    EXPECT_TRUE(m_left.GetVisited());
}

TEST_F(HyperLinkTest, AFailedOpenSaysWhyAndLeavesTheLinkUnvisited)
{
    ::SetCursorPos(OverText().x, OverText().y);
    g_nShellResult = SE_ERR_NOASSOC;
    Click(m_left);
    ASSERT_EQ(1u, Boxes().texts.size());
    EXPECT_EQ("There is no application associated with the given file name extension.", Boxes().texts[0]);
    EXPECT_FALSE(m_left.GetVisited());

    // A link visited before shows the failure too: it is no longer visited.
    m_left.SetVisited(TRUE);
    g_nShellResult = 1;
    Click(m_left);
    ASSERT_EQ(2u, Boxes().texts.size());
    EXPECT_EQ("An unknown error number 1 occured.", Boxes().texts[1]);
    EXPECT_FALSE(m_left.GetVisited());

    // Opening it again, now with success, marks it visited.
    g_nShellResult = 33;
    Click(m_left);
    EXPECT_EQ(2u, Boxes().texts.size()) << "a successful open says nothing";
    EXPECT_TRUE(m_left.GetVisited());
    g_nShellResult = 1;

    EXPECT_FALSE(m_left.GotoURL("http://example.com/", SW_SHOWNORMAL));
    EXPECT_EQ("http://example.com/", g_calls.back().strFile);
    EXPECT_EQ(SW_SHOWNORMAL, g_calls.back().nShow);
    g_nShellResult = 33;
    EXPECT_TRUE(m_left.GotoURL());
}

TEST(HyperLinkErrors, EachShellErrorHasItsText)
{
    EXPECT_STREQ("The operating system is out of memory or resources.", CXTHyperLink::GetErrorText(0));
    EXPECT_STREQ("The specified file was not found.", CXTHyperLink::GetErrorText(2));
    EXPECT_STREQ("The specified path was not found.", CXTHyperLink::GetErrorText(3));
    EXPECT_STREQ("The operating system denied access to the specified file.", CXTHyperLink::GetErrorText(5));
    EXPECT_STREQ("There was not enough memory to complete the operation.", CXTHyperLink::GetErrorText(8));
    EXPECT_STREQ("The .exe file is invalid (non-Win32\xAE .exe or error in .exe image).",
                 CXTHyperLink::GetErrorText(11));
    EXPECT_STREQ("A sharing violation occurred.", CXTHyperLink::GetErrorText(26));
    EXPECT_STREQ("The file name association is incomplete or invalid.", CXTHyperLink::GetErrorText(27));
    EXPECT_STREQ("The DDE transaction could not be completed because the request timed out.",
                 CXTHyperLink::GetErrorText(28));
    EXPECT_STREQ("The DDE transaction failed.", CXTHyperLink::GetErrorText(29));
    EXPECT_STREQ("The DDE transaction could not be completed because other DDE transactions were being processed.",
                 CXTHyperLink::GetErrorText(30));
    EXPECT_STREQ("There is no application associated with the given file name extension.",
                 CXTHyperLink::GetErrorText(31));
    EXPECT_STREQ("The specified dynamic-link library was not found.", CXTHyperLink::GetErrorText(32));
    EXPECT_STREQ("An unknown error number 1 occured.", CXTHyperLink::GetErrorText(1));
    EXPECT_STREQ("An unknown error number 4 occured.", CXTHyperLink::GetErrorText(4));
}

TEST_F(HyperLinkTest, AStaticWithoutTextHandlesItsOwnClick)
{
    EXPECT_TRUE(m_frame.OnClicked());   // not passed to the parent
    EXPECT_FALSE(m_left.OnClicked());   // a text link's click goes on to the parent too
}
