// The hexagon picker of the standard colour page: the cells and their
// neighbours, clicks, drags and keys, the selection outline, and the page
// passing a picked colour to the dialog.
// ctest: run-serial
#include "support/colorpickers.h"
#include "support/themedcontrols.h"

#include "XTColorDialog.h"
#include "XTColorPageStandard.h"

#include <memory>
#include <set>
#include <utility>
#include <vector>

using testsupport::Canvas;

namespace
{
::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new testsupport::Environment);

// A parent that records the colours its picker tells it.
class PickerHost : public CWnd
{
public:
    PickerHost()
    {
        CreateEx(0, AfxRegisterWndClass(0), "Host", WS_POPUP | WS_VISIBLE, CRect(0, 0, 260, 240), NULL, 0);
    }
    ~PickerHost()
    {
        if (m_hWnd != NULL)
            DestroyWindow();
    }
    std::vector<COLORREF> m_told;

protected:
    afx_msg LRESULT OnUpdateColor(WPARAM wParam, LPARAM)
    {
        m_told.push_back((COLORREF)wParam);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(PickerHost, CWnd)
    ON_MESSAGE(WM_XT_UPDATECOLOR, OnUpdateColor)
END_MESSAGE_MAP()

class HexTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_hex.Create("", WS_CHILD | WS_VISIBLE, CRect(10, 10, 230, 215), &m_host, 103));
        m_hex.GetClientRect(&m_rcClient);
        m_x0 = (m_rcClient.Width() - 182) / 2;
    }
    CPoint Centre(int nCell) { return testsupport::HexCellCentre(m_hex, nCell); }
    void Click(CPoint pt) { testsupport::SendClick(m_hex, pt); }
    void Key(UINT nKey)
    {
        MSG msg = {m_hex.m_hWnd, WM_KEYDOWN, nKey, 1};
        m_hex.PreTranslateMessage(&msg);
    }
    int Current() { return m_hex.GetCurrentCell(); }

    PickerHost m_host;
    CXTColorHex m_hex;
    CRect m_rcClient;
    int m_x0 = 0;
};
} // namespace

TEST_F(HexTest, TheCellsTileTheHoneycombTheGreysAndTwoLargeCells)
{
    ASSERT_EQ(144, m_hex.GetCellCount());
    EXPECT_TRUE((m_hex.GetStyle() & SS_NOTIFY) != 0);
    std::set<std::pair<int, int>> covered;
    for (int i = 0; i < 144; i++)
    {
        const HEXCOLOR_CELL* pCell = m_hex.GetCell(i);
        EXPECT_EQ(i < 142 ? 168 : 691, pCell->nPoints) << i;
        EXPECT_EQ(CXTColorHex::GetStandardColor(i), pCell->clr);
        for (int n = 0; n < pCell->nPoints; n++)
            EXPECT_TRUE(covered.insert({pCell->pPoints[n].x, pCell->pPoints[n].y}).second)
                << "cell " << i << " overlaps another cell";
    }
    // Row 0 starts at x0 + 42, y 3; row 6 at x0, y 75; row 12 at x0 + 42.
    EXPECT_EQ(CPoint(m_x0 + 42, 3), m_hex.GetCell(0)->pPoints[0]);
    EXPECT_EQ(CPoint(m_x0, 75), m_hex.GetCell(57)->pPoints[0]);
    EXPECT_EQ(CPoint(m_x0 + 42, 147), m_hex.GetCell(120)->pPoints[0]);
    EXPECT_EQ(CPoint(m_x0 + 35, 172), m_hex.GetCell(127)->pPoints[0]);
    EXPECT_EQ(CPoint(m_x0 + 42, 184), m_hex.GetCell(135)->pPoints[0]);
    EXPECT_EQ(CPoint(m_x0, 172), m_hex.GetCell(142)->pPoints[0]);
    EXPECT_EQ(CPoint(m_x0 + 153, 172), m_hex.GetCell(143)->pPoints[0]);
    // White twice, and every cell colour is standard.
    EXPECT_EQ(RGB(255, 255, 255), m_hex.GetCell(63)->clr);
    EXPECT_EQ(RGB(255, 255, 255), m_hex.GetCell(142)->clr);
    EXPECT_EQ(RGB(0xA5, 0x00, 0x21), m_hex.GetCell(126)->clr);
    EXPECT_TRUE(m_hex.IsStandardColor(RGB(0xFF, 0x7C, 0x80)));
    EXPECT_FALSE(m_hex.IsStandardColor(RGB(1, 2, 3)));
}

TEST_F(HexTest, UpAndDownLeadToTheTouchingCellOrToNone)
{
    // In the honeycomb, up is the cell above-left and down the cell
    // below-right; at the edges of the comb there is none (the formulas
    // would jump two rows there: 15 -> 6, 69 -> 82).
    EXPECT_EQ(-1, m_hex.GetCell(15)->up);
    EXPECT_EQ(-1, m_hex.GetCell(57)->up);
    EXPECT_EQ(-1, m_hex.GetCell(69)->down);
    EXPECT_EQ(-1, m_hex.GetCell(102)->down);
    EXPECT_EQ(-1, m_hex.GetCell(0)->left);
    EXPECT_EQ(142, m_hex.GetCell(119)->down);
    EXPECT_EQ(142, m_hex.GetCell(126)->right);
    EXPECT_EQ(142, m_hex.GetCell(126)->down);
    EXPECT_EQ(121, m_hex.GetCell(120)->down);
    for (int i = 0; i < 127; i++)
    {
        const HEXCOLOR_CELL* pCell = m_hex.GetCell(i);
        const CPoint pt = pCell->pPoints[0];
        if (pCell->up >= 0)
        {
            EXPECT_EQ(CPoint(pt.x - 7, pt.y - 12), m_hex.GetCell(pCell->up)->pPoints[0]) << "up from " << i;
        }
        if (pCell->down >= 0 && pCell->down < 127 && i < 120)
        {
            EXPECT_EQ(CPoint(pt.x + 7, pt.y + 12), m_hex.GetCell(pCell->down)->pPoints[0]) << "down from " << i;
        }
        if (pCell->left >= 0)
        {
            EXPECT_EQ(i - 1, pCell->left);
        }
    }
}

TEST_F(HexTest, AClickOnTheCentreSelectsWhiteAndDownMovesBelowRight)
{
    Click(CPoint(m_rcClient.Width() / 2, 79));
    EXPECT_EQ(RGB(255, 255, 255), m_hex.GetColor());
    EXPECT_EQ(63, Current());
    ASSERT_EQ(1u, m_host.m_told.size());
    EXPECT_EQ(RGB(255, 255, 255), m_host.m_told[0]);

    Key(VK_DOWN);
    EXPECT_EQ(76, Current());
    EXPECT_EQ(RGB(255, 204, 204), m_hex.GetColor());
    EXPECT_EQ(RGB(255, 204, 204), m_host.m_told.back());

    // Up leads back above-left, to the centre again.
    Key(VK_UP);
    EXPECT_EQ(63, Current());
}

TEST_F(HexTest, RightFromTheLastHoneycombCellWalksTheGreysAndStopsOnBlack)
{
    Click(Centre(126));
    std::vector<int> walk;
    for (int i = 0; i < 20; i++)
    {
        Key(VK_RIGHT);
        if (walk.empty() || walk.back() != Current())
            walk.push_back(Current());
    }
    const std::vector<int> expected = {142, 127, 135, 128, 136, 129, 137, 130, 138,
                                       131, 139, 132, 140, 133, 141, 134, 143};
    EXPECT_EQ(expected, walk);
    // One notice per cell, none once the walk stopped.
    EXPECT_EQ(1u + expected.size(), m_host.m_told.size());
    // Left from the large white cell goes back into the honeycomb.
    Click(Centre(142));
    Key(VK_LEFT);
    EXPECT_EQ(126, Current());
}

TEST_F(HexTest, BetweenTheCellsNothingChangesEvenWhileDragging)
{
    // Below the honeycomb and above the greys no cell lies.
    const CPoint ptGap(m_rcClient.Width() / 2, 163);
    ASSERT_EQ(-1, m_hex.CellFromPoint(ptGap));
    EXPECT_EQ((COLORREF)-1, m_hex.HitTest(ptGap));

    Click(Centre(10));
    const COLORREF clr = m_hex.GetColor();
    const CPoint ptAnchor = m_hex.GetSelectedAnchor();
    m_host.m_told.clear();
    Click(ptGap);
    EXPECT_EQ(clr, m_hex.GetColor());
    EXPECT_TRUE(m_host.m_told.empty());

    // A drag from cell 10 over the gap to the right edge: each cell passed
    // over is told once, the gaps never (no -1 reaches the page).
    m_hex.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(Centre(10).x, Centre(10).y));
    for (int x = Centre(10).x; x < m_rcClient.Width(); x++)
        m_hex.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, Centre(10).y));
    m_hex.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(0, 0));
    m_hex.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(0, 0));
    const std::vector<COLORREF> expected = {m_hex.GetCell(11)->clr, m_hex.GetCell(12)->clr, m_hex.GetCell(13)->clr,
                                            m_hex.GetCell(14)->clr};
    EXPECT_EQ(expected, m_host.m_told);
    EXPECT_EQ(m_hex.GetCell(14)->clr, m_hex.GetColor());
    EXPECT_NE(ptAnchor, m_hex.GetSelectedAnchor());

    // After the button is up, moving selects nothing; nor after a button
    // released outside the control.
    m_hex.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(Centre(3).x, Centre(3).y));
    EXPECT_EQ(m_hex.GetCell(14)->clr, m_hex.GetColor());
    m_hex.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(Centre(20).x, Centre(20).y));
    m_hex.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(Centre(21).x, Centre(21).y));
    m_hex.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(Centre(22).x, Centre(22).y));
    EXPECT_EQ(m_hex.GetCell(20)->clr, m_hex.GetColor());
}

TEST_F(HexTest, AColourOutsideTheTableHasNoOutlineAndKeysStartFromBlack)
{
    Canvas canvas(m_rcClient.Width(), m_rcClient.Height());
    m_hex.SetColor(RGB(1, 2, 3));
    m_hex.DrawPicture(canvas.DC());
    const CPoint ptBlack = m_hex.GetCell(143)->pPoints[0];
    // Nothing round the black cell; only the face colour beside it.
    EXPECT_EQ(::GetSysColor(COLOR_3DFACE), canvas.Pixel(ptBlack.x - 2, ptBlack.y + 8));
    EXPECT_EQ(143, Current());
    Key(VK_LEFT);
    EXPECT_EQ(134, Current());
    EXPECT_EQ(RGB(8, 8, 8), m_hex.GetColor());

    // Black selected: a large outline round the black cell, its rings
    // black outside, white on the edge, black inside.
    m_hex.SetColor(RGB(0, 0, 0));
    m_hex.DrawPicture(canvas.DC());
    EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(ptBlack.x - 2, ptBlack.y + 8));
    EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(ptBlack.x - 1, ptBlack.y + 8));
    EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(ptBlack.x, ptBlack.y + 8));
    EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(ptBlack.x + 1, ptBlack.y + 8));
    EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(ptBlack.x + 14, ptBlack.y + 8));   // the middle keeps its colour
    EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(ptBlack.x + 28, ptBlack.y + 8));
    EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(ptBlack.x + 29, ptBlack.y + 8));
}

TEST_F(HexTest, WhiteIsOutlinedTwiceAndKeysFollowTheWhiteCellChosen)
{
    Canvas canvas(m_rcClient.Width(), m_rcClient.Height());
    // With the cells laid out, SetColor takes the last cell of a colour:
    // the large white one.
    ASSERT_EQ(144, m_hex.GetCellCount());
    m_hex.SetColor(RGB(255, 255, 255));
    EXPECT_EQ(m_hex.GetCell(142)->pPoints[0], m_hex.GetSelectedAnchor());
    EXPECT_EQ(142, Current());
    m_hex.DrawPicture(canvas.DC());
    const CPoint ptSmall = m_hex.GetCell(63)->pPoints[0];
    const CPoint ptLarge = m_hex.GetCell(142)->pPoints[0];
    EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(ptSmall.x + 1, ptSmall.y + 4));
    EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(ptLarge.x + 1, ptLarge.y + 8));
    Key(VK_RIGHT);
    EXPECT_EQ(127, Current());

    // Clicked, the small one.
    Click(Centre(63));
    EXPECT_EQ(63, Current());
    Key(VK_RIGHT);
    EXPECT_EQ(64, Current());
}

TEST_F(HexTest, TheControlAloneOwnsItsCells)
{
    ASSERT_EQ(144, m_hex.GetCellCount());
    m_hex.FreeCells();
    EXPECT_EQ(0, (int)m_hex.m_listCells.GetCount());
    m_hex.FreeCells();   // nothing left to free twice
    EXPECT_EQ(144, m_hex.GetCellCount());

    // A page with its picker, shown and gone: the cells go with the picker.
    {
        CXTColorDialog dlg(RGB(0, 0, 0), RGB(0, 0, 0), 0);
        ASSERT_TRUE(dlg.Create(NULL));
        CXTColorHex& hex = dlg.GetStandardPage()->m_colorHex;
        ASSERT_TRUE(hex.m_hWnd != NULL);
        hex.UpdateWindow();
        EXPECT_EQ(144, hex.GetCellCount());
        EXPECT_TRUE((hex.GetStyle() & SS_NOTIFY) != 0);   // subclassed from the template
        dlg.DestroyWindow();
        EXPECT_EQ(144, hex.GetCellCount());
    }
}

TEST_F(HexTest, APickedColourReachesTheDialogThroughThePage)
{
    CXTColorDialog dlg(RGB(0, 0, 0), RGB(0, 0, 0), 0);
    ASSERT_TRUE(dlg.Create(NULL));
    CXTColorHex& hex = dlg.GetStandardPage()->m_colorHex;
    testsupport::SendClick(hex, testsupport::HexCellCentre(hex, 30));
    EXPECT_EQ(hex.GetCell(30)->clr, dlg.GetColor());
    EXPECT_EQ(::GetFocus(), hex.m_hWnd);
    dlg.DestroyWindow();
}
