// The property grid's paint manager and themes: rows drawn into a DIB and
// read back, the classic and the visual-style paths, and snapshots of every
// theme.
// ctest: run-serial
#include "support/propertygrid_fixture.h"
#include "support/snapshot.h"
#include "XTPDCHelpers.h"

#include <vssym32.h>

namespace
{
::testing::Environment* const s_env = ::testing::AddGlobalTestEnvironment(new testsupport::Environment());

using testsupport::Canvas;

const COLORREF kHelpBack = RGB(225, 225, 225);
const COLORREF kLine = RGB(181, 189, 210);
const COLORREF kBack = RGB(255, 255, 250);
const COLORREF kFore = RGB(51, 51, 51);
const COLORREF kCategory = RGB(10, 20, 30);

class PaintTest : public testsupport::PropertyGridFixture
{
protected:
    void SetUp() override
    {
        PropertyGridFixture::SetUp();
        m_grid.SetCustomColors(kHelpBack, RGB(51, 51, 51), kLine, kBack, kFore, kCategory);
        m_pCategory = m_grid.AddCategory("Category");
        m_pItem = m_pCategory->AddChildItem(new CXTPPropertyGridItem("Name", "Value"));
        m_pParent = m_pCategory->AddChildItem(new CXTPPropertyGridItem("Parent", "p"));
        m_pParent->AddChildItem(new CXTPPropertyGridItem("Child", "c"));
        m_pCategory->Expand();
    }

    // Draws the item's row at the top of the canvas.
    void DrawRow(Canvas& canvas, CXTPPropertyGridItem* pItem, BOOL bSelected)
    {
        CRect rcRow = pItem->GetItemRect();
        DRAWITEMSTRUCT dis = {};
        dis.CtlType = ODT_LISTBOX;
        dis.itemID = (UINT)pItem->GetIndex();
        dis.itemAction = ODA_DRAWENTIRE;
        dis.itemState = bSelected ? ODS_SELECTED : 0;
        dis.hwndItem = View().m_hWnd;
        dis.hDC = canvas.Handle();
        dis.rcItem = CRect(0, 0, rcRow.Width(), rcRow.Height());
        dis.itemData = (ULONG_PTR)pItem;
        m_grid.GetPaintManager()->DrawItem(&dis);
    }

    CXTPPropertyGridItem* m_pCategory = NULL;
    CXTPPropertyGridItem* m_pItem = NULL;
    CXTPPropertyGridItem* m_pParent = NULL;
};

TEST_F(PaintTest, RowsUseTheGridColours)
{
    int cx = m_pItem->GetItemRect().Width();
    int nDivider = View().GetDividerPos();
    Canvas canvas(cx, 40);

    DrawRow(canvas, m_pCategory, FALSE);
    EXPECT_EQ(kLine, canvas.Pixel(cx - 3, 3));  // category rows take the line colour

    DrawRow(canvas, m_pItem, FALSE);
    EXPECT_EQ(kLine, canvas.Pixel(3, 5));            // the category's margin
    EXPECT_EQ(kBack, canvas.Pixel(nDivider - 5, 3)); // the caption column
    EXPECT_EQ(kBack, canvas.Pixel(cx - 3, 3));       // the value column
    EXPECT_EQ(kLine, canvas.Pixel(nDivider, 3));     // the divider line
    int nBottom = m_pItem->GetItemRect().Height() - 1;
    EXPECT_EQ(kLine, canvas.Pixel(cx / 2, nBottom)); // the row line

    // Selected without the focus the caption takes the line colour, with the
    // focus in the view the highlight.
    ::SetFocus(m_host.m_hWnd);
    DrawRow(canvas, m_pItem, TRUE);
    EXPECT_EQ(kLine, canvas.Pixel(nDivider - 5, 3));
    View().SetFocus();
    DrawRow(canvas, m_pItem, TRUE);
    EXPECT_EQ(GetXTPSysColor(COLOR_HIGHLIGHT), canvas.Pixel(nDivider - 5, 3));

    // An item's own metrics win over the grid's.
    m_pItem->GetMetrics(TRUE)->m_clrBack.SetCustomValue(RGB(255, 0, 0));
    DrawRow(canvas, m_pItem, FALSE);
    EXPECT_EQ(RGB(255, 0, 0), canvas.Pixel(cx - 3, 3));
    EXPECT_EQ(RGB(255, 0, 0), m_grid.GetPaintManager()->GetItemBackColor(m_pItem, TRUE));
}

// What the view shows after a full repaint, read from its window DC.
class ViewPaintTest : public PaintTest
{
protected:
    void RepaintGrid()
    {
        m_grid.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        ::GdiFlush();
    }
    COLORREF ViewPixel(int x, int y)
    {
        CClientDC dc(&View());
        return dc.GetPixel(x, y);
    }
    COLORREF CaptionPixel(CXTPPropertyGridItem* pItem)
    {
        return ViewPixel(View().GetDividerPos() - 5, pItem->GetItemRect().top + 3);
    }
    COLORREF ValuePixel(CXTPPropertyGridItem* pItem)
    {
        CRect rc = pItem->GetItemRect();
        return ViewPixel(rc.right - 3, rc.top + 3);
    }
};

TEST_F(ViewPaintTest, EveryRepaintDrawsEachRowAfresh)
{
    // The view keeps its drawing buffer from paint to paint and leaves a
    // row's background alone where the view's own fill already has its
    // colour: a highlight or a colour of an earlier paint must not stay.
    View().SetFocus();
    m_pItem->Select();
    RepaintGrid();
    EXPECT_EQ(GetXTPSysColor(COLOR_HIGHLIGHT), CaptionPixel(m_pItem));
    EXPECT_EQ(kBack, CaptionPixel(m_pParent));

    m_pParent->Select();
    RepaintGrid();
    EXPECT_EQ(kBack, CaptionPixel(m_pItem)) << "the old highlight is gone";
    EXPECT_EQ(GetXTPSysColor(COLOR_HIGHLIGHT), CaptionPixel(m_pParent));

    m_pItem->GetMetrics(TRUE)->m_clrBack.SetCustomValue(RGB(255, 0, 0));
    RepaintGrid();
    EXPECT_EQ(RGB(255, 0, 0), ValuePixel(m_pItem));
    m_pItem->GetMetrics(TRUE)->m_clrBack.SetDefaultValue();
    RepaintGrid();
    EXPECT_EQ(kBack, ValuePixel(m_pItem));

    // A new view colour fills everything, rows and the space below them.
    m_grid.SetCustomColors(kHelpBack, RGB(51, 51, 51), kLine, RGB(250, 240, 200), kFore, kCategory);
    RepaintGrid();
    EXPECT_EQ(RGB(250, 240, 200), ValuePixel(m_pItem));
    CRect rcClient;
    View().GetClientRect(&rcClient);
    EXPECT_EQ(RGB(250, 240, 200), ViewPixel(rcClient.right - 3, rcClient.bottom - 3));
    testsupport::SaveScreenSnapshot(m_host.m_hWnd, "view_repainted");
}

TEST_F(ViewPaintTest, TextOfEveryFontIsCentredInItsRow)
{
    // The rows measure each font once per paint: a row whose value has a
    // smaller font, between rows in the normal one, is centred by its own
    // height.
    CFont fontSmall;
    LOGFONT lf = {};
    m_grid.GetPaintManager()->GetNormalFont()->GetLogFont(&lf);
    lf.lfHeight = lf.lfHeight < 0 ? lf.lfHeight / 2 : -6;
    ASSERT_TRUE(fontSmall.CreateFontIndirect(&lf));
    m_pItem->GetMetrics(TRUE)->m_xtpFontNormal.Attach((HFONT)fontSmall.Detach());
    m_pParent->SetValue("Value");
    RepaintGrid();

    // The first line of a row's value text below the text rectangle's top,
    // as the view shows it and as DrawText centres it.
    auto shownTop = [&](CXTPPropertyGridItem* pItem) {
        CRect rc = pItem->GetItemRect();
        for (int y = rc.top + 1; y < rc.bottom - 2; y++)
            for (int x = View().GetDividerPos() + 4; x < rc.right - 4; x++)
                if (ViewPixel(x, y) != kBack)
                    return (int)(y - (rc.top + 1));
        return -1;
    };
    auto centredTop = [&](CXTPPropertyGridItem* pItem) {
        CRect rc = pItem->GetItemRect();
        Canvas canvas(rc.Width(), rc.Height() - 3, kBack);
        CXTPFontDC font(canvas.DC(), m_grid.GetPaintManager()->GetItemFont(pItem, TRUE));
        canvas.DC()->SetBkMode(TRANSPARENT);
        canvas.DC()->SetTextColor(kFore);
        CRect rcText(0, 0, rc.Width(), rc.Height() - 3);
        canvas.DC()->DrawText(pItem->GetValue(), rcText, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        ::GdiFlush();
        for (int y = 0; y < rcText.bottom; y++)
            for (int x = 0; x < rcText.right; x++)
                if (canvas.Pixel(x, y) != kBack)
                    return y;
        return -1;
    };
    const int nSmall = shownTop(m_pItem), nNormal = shownTop(m_pParent);
    ASSERT_GE(nSmall, 0);
    ASSERT_GE(nNormal, 0);
    EXPECT_GT(nSmall, nNormal) << "the smaller text starts lower";
    EXPECT_NEAR(centredTop(m_pItem), nSmall, 1);
    EXPECT_NEAR(centredTop(m_pParent), nNormal, 1);
    testsupport::SaveScreenSnapshot(m_host.m_hWnd, "view_two_fonts");
}

TEST_F(ViewPaintTest, TheGridPaintsWhatTheViewLeavesUncoveredAndTheViewItsFrame)
{
    // The help pane below the view is the grid's own painting.
    m_pItem->Select();
    m_grid.ShowHelp(TRUE);
    RepaintGrid();
    CRect rcHelp = m_grid.GetHelpRect();
    {
        CClientDC dc(&m_grid);
        EXPECT_EQ(kHelpBack, dc.GetPixel(rcHelp.right - 4, rcHelp.bottom - 4));
    }
    // Without it the view covers the grid; the repaint leaves nothing to do.
    m_grid.ShowHelp(FALSE);
    RepaintGrid();
    CRect rcUpdate;
    EXPECT_FALSE(m_grid.GetUpdateRect(&rcUpdate));
    EXPECT_EQ(kBack, ValuePixel(m_pItem));

    // The view's frame, with and without a scroll bar, drawn again by each
    // full repaint (over whatever was there).
    auto spoilFrame = [&] {
        CWindowDC dc(&View());
        CRect rc;
        View().GetWindowRect(&rc);
        dc.FillSolidRect(0, 0, rc.Width(), rc.Height(), RGB(255, 0, 255));
        ::GdiFlush();
    };
    auto framePixel = [&] {
        CWindowDC dc(&View());
        CRect rc;
        View().GetWindowRect(&rc);
        return dc.GetPixel(0, rc.Height() / 2);
    };
    spoilFrame();
    RepaintGrid();
    EXPECT_EQ(m_grid.GetPaintManager()->GetBorderColor(), framePixel());
    EXPECT_FALSE(View().GetStyle() & WS_VSCROLL) << "three rows need no scroll bar";
    for (int i = 0; i < 40; i++)
        m_pCategory->AddChildItem(new CXTPPropertyGridItem("More", "m"));
    RepaintGrid();
    ASSERT_TRUE(View().GetStyle() & WS_VSCROLL);
    spoilFrame();
    RepaintGrid();
    EXPECT_EQ(m_grid.GetPaintManager()->GetBorderColor(), framePixel());
    CRect rcWindow, rcClient;
    View().GetWindowRect(&rcWindow);
    View().GetClientRect(&rcClient);
    EXPECT_GE(rcWindow.Width() - rcClient.Width(), ::GetSystemMetrics(SM_CXVSCROLL));
    {
        // The scroll bar is drawn in the frame: the glyph of its up arrow.
        CWindowDC dc(&View());
        const int cxBar = ::GetSystemMetrics(SM_CXVSCROLL), cyArrow = ::GetSystemMetrics(SM_CYVSCROLL);
        bool bGlyph = false;
        for (int y = 1; y < cyArrow && !bGlyph; y++)
            for (int x = rcWindow.Width() - 1 - cxBar; x < rcWindow.Width() - 1 && !bGlyph; x++)
            {
                COLORREF clr = dc.GetPixel(x, y);
                bGlyph = GetRValue(clr) < 128 && GetGValue(clr) < 128 && GetBValue(clr) < 128;
            }
        EXPECT_TRUE(bGlyph);
    }
    testsupport::SaveScreenSnapshot(m_host.m_hWnd, "view_scroll_bar");
}

TEST_F(PaintTest, ClassicExpandGlyphShowsPlusOrMinus)
{
    int cx = m_pParent->GetItemRect().Width();
    int nHeight = m_pParent->GetItemRect().Height();
    Canvas canvas(cx, 40);
    // The glyph of a category's own child sits in the category's margin.
    int xBox = 2, yBox = nHeight / 2 - 4;
    int xCenter = xBox + 4, yCenter = yBox + 4;

    DrawRow(canvas, m_pParent, FALSE);
    EXPECT_EQ(kFore, canvas.Pixel(xBox, yBox + 3));          // frame
    EXPECT_EQ(kFore, canvas.Pixel(xCenter - 2, yCenter));    // minus
    EXPECT_EQ(kFore, canvas.Pixel(xCenter, yCenter - 2));    // collapsed: plus

    m_pParent->Expand();
    DrawRow(canvas, m_pParent, FALSE);
    EXPECT_EQ(kFore, canvas.Pixel(xCenter - 2, yCenter));
    EXPECT_EQ(kBack, canvas.Pixel(xCenter, yCenter - 2));
}

// Visual-style entries that stand in for an open (or a closed) style and
// record the parts drawn; the prefix's own style, if any, is kept out.
struct ThemeCall
{
    int nPart;
    int nState;
};
std::vector<ThemeCall>& ThemeCalls()
{
    static std::vector<ThemeCall> s_calls;
    return s_calls;
}
bool& ThemeOpen()
{
    static bool s_bOpen = true;
    return s_bOpen;
}
HTHEME WINAPI FakeOpenThemeData(HWND, LPCWSTR)
{
    return ThemeOpen() ? (HTHEME)0x1234 : NULL;
}
HRESULT WINAPI FakeCloseThemeData(HTHEME)
{
    return S_OK;
}
HRESULT WINAPI FakeDrawThemeBackground(HTHEME, HDC, int nPart, int nState, const RECT*, const RECT*)
{
    ThemeCalls().push_back(ThemeCall{nPart, nState});
    return S_OK;
}
HRESULT WINAPI FakeGetThemeColor(HTHEME, int, int, int, COLORREF*)
{
    return E_FAIL;
}

class ForcedThemeTest : public PaintTest
{
protected:
    void SetUp() override
    {
        CXTPWinThemeWrapper::CSharedData& data = CXTPWinThemeWrapper::GetSharedData();
        data.CheckModule();
        if (data.m_hThemeDll == NULL)
            GTEST_SKIP() << "no visual-styles library to stand in for";
        for (int i = 0; i < 4; i++)
            m_pOld[i] = data.m_rgEntries[kEntries[i]];
        data.m_rgEntries[CXTPWinThemeWrapper::xtpOpenThemeData] = (FARPROC)FakeOpenThemeData;
        data.m_rgEntries[CXTPWinThemeWrapper::xtpCloseThemeData] = (FARPROC)FakeCloseThemeData;
        data.m_rgEntries[CXTPWinThemeWrapper::xtpDrawThemeBackground] = (FARPROC)FakeDrawThemeBackground;
        data.m_rgEntries[CXTPWinThemeWrapper::xtpGetThemeColor] = (FARPROC)FakeGetThemeColor;
        m_bForced = true;
        ThemeOpen() = true;
        ThemeCalls().clear();
        PaintTest::SetUp();
    }
    void TearDown() override
    {
        PaintTest::TearDown();
        if (!m_bForced)
            return;
        CXTPWinThemeWrapper::CSharedData& data = CXTPWinThemeWrapper::GetSharedData();
        for (int i = 0; i < 4; i++)
            data.m_rgEntries[kEntries[i]] = m_pOld[i];
    }

    static constexpr int kEntries[4] = {CXTPWinThemeWrapper::xtpOpenThemeData, CXTPWinThemeWrapper::xtpCloseThemeData,
                                        CXTPWinThemeWrapper::xtpDrawThemeBackground,
                                        CXTPWinThemeWrapper::xtpGetThemeColor};
    FARPROC m_pOld[4] = {};
    bool m_bForced = false;
};

TEST_F(ForcedThemeTest, VisualStyleThemesDrawGlyphsAndButtonsThroughTheStyle)
{
    Canvas canvas(m_pParent->GetItemRect().Width(), 40);

    // The default look ignores the style even when it is open.
    DrawRow(canvas, m_pParent, FALSE);
    EXPECT_TRUE(ThemeCalls().empty());

    m_grid.SetTheme(xtpGridThemeNativeWinXP);
    ThemeCalls().clear();
    DrawRow(canvas, m_pParent, FALSE);
    ASSERT_EQ(1u, ThemeCalls().size());
    EXPECT_EQ(TVP_GLYPH, ThemeCalls()[0].nPart);
    EXPECT_EQ(GLPS_CLOSED, ThemeCalls()[0].nState);

    // A selected Bool row draws its drop-down button as the combo part.
    CXTPPropertyGridItem* pBool = m_pCategory->AddChildItem(new CXTPPropertyGridItemBool("Flag", TRUE));
    pBool->Select();
    ThemeCalls().clear();
    DrawRow(canvas, pBool, TRUE);
    ASSERT_EQ(1u, ThemeCalls().size());
    EXPECT_EQ(CP_DROPDOWNBUTTON, ThemeCalls()[0].nPart);
    EXPECT_EQ(1, ThemeCalls()[0].nState);

    // A read-only one shows no button at all.
    pBool->SetReadOnly(TRUE);
    ThemeCalls().clear();
    DrawRow(canvas, pBool, TRUE);
    EXPECT_TRUE(ThemeCalls().empty());
}

TEST_F(ForcedThemeTest, AClosedStyleFallsBackToClassicDrawing)
{
    ThemeOpen() = false;
    m_grid.SetTheme(xtpGridThemeWhidbey);
    EXPECT_FALSE(m_grid.GetPaintManager()->m_themeTree.IsValid());
    Canvas canvas(m_pParent->GetItemRect().Width(), 40);
    DrawRow(canvas, m_pParent, FALSE);
    EXPECT_TRUE(ThemeCalls().empty());
    // The Whidbey box: shadow edge, white upper half, black minus.
    int yBox = m_pParent->GetItemRect().Height() / 2 - 4;
    EXPECT_EQ(GetXTPSysColor(COLOR_3DSHADOW), canvas.Pixel(2, yBox + 3));
    EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(4, yBox + 2));
    EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(4, yBox + 4));
}

TEST_F(PaintTest, ClassicButtonsHaveA3dFrameAndOfficeXpAFlatOne)
{
    CXTPPropertyGridItem* pBool = m_pCategory->AddChildItem(new CXTPPropertyGridItemBool("Flag", TRUE));
    pBool->Select();
    Canvas canvas(pBool->GetItemRect().Width(), 40);
    DrawRow(canvas, pBool, TRUE);
    CRect rcButton = pBool->GetInplaceButtons()->GetAt(0)->GetRect();
    ASSERT_FALSE(rcButton.IsRectEmpty());
    EXPECT_EQ(GetXTPSysColor(COLOR_3DDKSHADOW), canvas.Pixel(rcButton.right - 1, rcButton.CenterPoint().y));
    EXPECT_EQ(GetXTPSysColor(COLOR_WINDOW), canvas.Pixel(rcButton.left + 1, rcButton.CenterPoint().y));

    m_grid.SetTheme(xtpGridThemeOfficeXP);
    DrawRow(canvas, pBool, TRUE);
    EXPECT_EQ(GetXTPSysColor(COLOR_3DSHADOW), canvas.Pixel(rcButton.right - 1, rcButton.CenterPoint().y));
    EXPECT_EQ(GetColorManager()->GetColor(XPCOLOR_TOOLBAR_FACE), canvas.Pixel(rcButton.left + 1, rcButton.top + 2));
}

TEST_F(PaintTest, SnapshotsOfEveryTheme)
{
    m_grid.SetCustomColors(COLORREF_NULL, COLORREF_NULL, COLORREF_NULL, COLORREF_NULL, COLORREF_NULL,
                           COLORREF_NULL);
    CXTPPropertyGridItem* pOther = m_grid.AddCategory("Other");
    pOther->AddChildItem(new CXTPPropertyGridItemNumber("Number", 42));
    CXTPPropertyGridItem* pBool = pOther->AddChildItem(new CXTPPropertyGridItemBool("Flag", TRUE));
    pOther->AddChildItem(new CXTPPropertyGridItem("A caption far too long for its column", "and a long value too"));
    pOther->Expand();
    m_pParent->Expand();
    pBool->Select();
    View().SetFocus();
    for (int nTheme = 0; nTheme <= 7; nTheme++)
    {
        m_grid.SetTheme(nTheme);
        CString strName;
        strName.Format("theme_%d", nTheme);
        EXPECT_FALSE(testsupport::SaveScreenSnapshot(m_host.m_hWnd, (LPCTSTR)strName).empty());
    }
}
} // namespace
