// The property grid's paint manager and themes: rows drawn into a DIB and
// read back, the classic and the visual-style paths, and snapshots of every
// theme.
// ctest: run-serial
#include "support/propertygrid_fixture.h"
#include "support/snapshot.h"

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
