// Owner-drawn report lists: shortened cell texts, columns built from their
// records, rows from the records' values, the last column filling the list,
// and the row colours.
#include "support/wndtest.h"
#include "support/canvas.h"
#include "FennListCtrl.h"

#include <string>

using testsupport::Canvas;

namespace
{
::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new testsupport::Environment);

struct ListFixture : ::testing::Test
{
    void SetUp() override
    {
        ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "Host", WS_POPUP, CRect(0, 0, 400, 300), NULL, 0));
        ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL | LVS_OWNERDRAWFIXED,
                                CRect(0, 0, 300, 200), &parent, 1006));
    }
    void TearDown() override
    {
        list.DestroyWindow();
        parent.DestroyWindow();
    }
    void AddColumns()
    {
        const int nFour = 4;
        list.SetColumnOrderSize(&nFour);
        list.m_nPositionCount = 4;
        list.m_listColumns.Add(CListCtrlColumnInfo(10, 2, 50, "Minutes"));
        list.m_listColumns.Add(CListCtrlColumnInfo(11, 0, 40, "ID"));
        list.m_listColumns.Add(CListCtrlColumnInfo(12, 1, 80, "Hidden", false));
        list.m_listColumns.Add(CListCtrlColumnInfo(13, 3, 60, "Name"));
        list.RebuildColumns();
    }
    CString Heading(int nColumn)
    {
        char sz[64] = "";
        LVCOLUMN lvc = {};
        lvc.mask = LVCF_TEXT;
        lvc.pszText = sz;
        lvc.cchTextMax = sizeof(sz);
        list.GetColumn(nColumn, &lvc);
        return sz;
    }
    int ColumnCount()
    {
        int n = 0;
        LVCOLUMN lvc = {};
        lvc.mask = LVCF_WIDTH;
        while (list.GetColumn(n, &lvc))
            n++;
        return n;
    }
    int TotalWidth()
    {
        int n = 0;
        for (int i = 0; i < ColumnCount(); i++)
            n += list.GetColumnWidth(i);
        return n;
    }

    CWnd parent;
    CFennListCtrlEx list;
};
} // namespace

TEST(FennListCtrl, ShortStringsEndInDotsAndNeverOutgrowTheirBuffer)
{
    Canvas canvas(10, 10);
    CDC* pDC = canvas.DC();
    const int nWidth = pDC->GetTextExtent("Fiendish").cx;
    LPCTSTR lpszText = "Fiendish";
    EXPECT_EQ(lpszText, CFennListCtrl::MakeShortString(pDC, lpszText, nWidth));
    const CString strShort = CFennListCtrl::MakeShortString(pDC, lpszText, nWidth - 1);
    EXPECT_EQ(CString("..."), strShort.Right(3));
    EXPECT_LE(pDC->GetTextExtent(strShort).cx, nWidth - 1);
    EXPECT_STREQ("F...", CFennListCtrl::MakeShortString(pDC, "F", 1));

    // The dots take their width measured with their terminating zero: a
    // column just wide for "Fie" and the three dots alone keeps less.
    SIZE sizeDots3, sizeDots4;
    ::GetTextExtentPoint32(pDC->m_hDC, "...", 3, &sizeDots3);
    ::GetTextExtentPoint32(pDC->m_hDC, "...\0", 4, &sizeDots4);
    const int nFie = pDC->GetTextExtent("Fie").cx;
    if (sizeDots4.cx > sizeDots3.cx)
    {
        EXPECT_STRNE("Fie...", CFennListCtrl::MakeShortString(pDC, lpszText, nFie + sizeDots3.cx));
        EXPECT_STREQ("Fie...", CFennListCtrl::MakeShortString(pDC, lpszText, nFie + sizeDots4.cx));
    }
    EXPECT_STREQ("F...", CFennListCtrl::MakeShortString(pDC, "Fiendish", 0));

    // A text of a thousand characters shortened for a wide column stays
    // within the shared buffer.
    const std::string strLong(1000, 'x');
    const int nWide = pDC->GetTextExtent(CString(strLong.c_str())).cx - 1;
    const CString strCut = CFennListCtrl::MakeShortString(pDC, strLong.c_str(), nWide);
    EXPECT_LT(strCut.GetLength(), FENN_SHORT_STRING_BUFFER);
    EXPECT_EQ(CString("..."), strCut.Right(3));
}

TEST_F(ListFixture, ColumnsComeFromTheVisibleRecordsInPositionOrder)
{
    AddColumns();
    ASSERT_EQ(3, ColumnCount());
    EXPECT_STREQ("ID", Heading(0));
    EXPECT_STREQ("Minutes", Heading(1));
    EXPECT_STREQ("Name", Heading(2));
    EXPECT_EQ(11, list.GetColumnOrder(0));
    EXPECT_EQ(10, list.GetColumnOrder(1));
    EXPECT_EQ(13, list.GetColumnOrder(2));
    EXPECT_EQ(-1, list.GetColumnOrder(3));

    // The last column takes what the client width leaves.
    CRect rcClient;
    list.GetClientRect(&rcClient);
    EXPECT_EQ(rcClient.Width(), TotalWidth());

    // Growing the map keeps its entries.
    const int nSix = 6;
    list.SetColumnOrderSize(&nSix);
    EXPECT_EQ(6, list.GetColumnOrderSize());
    EXPECT_EQ(13, list.GetColumnOrder(2));
    EXPECT_EQ(-1, list.GetColumnOrder(5));
}

TEST_F(ListFixture, RowsAreMadeOfTheValuesSetBeforeThem)
{
    AddColumns();
    const int nID = 11, nMinutes = 10, nName = 13, nHidden = 12, nMissing = 99;
    const int nText = FENN_VALUE_TEXT, nInt = FENN_VALUE_INT, nByte = FENN_VALUE_BYTE, nBad = 4;
    const int nSeven = 7;
    const BYTE bTen = 10;
    const CString strName = "Fiendish";
    EXPECT_TRUE(list.SetItemValue(&nID, &nInt, NULL, &nSeven, NULL));
    EXPECT_TRUE(list.SetItemValue(&nMinutes, &nByte, NULL, NULL, &bTen));
    EXPECT_TRUE(list.SetItemValue(&nName, &nText, &strName, NULL, NULL));
    EXPECT_TRUE(list.SetItemValue(nHidden, "never shown"));
    EXPECT_FALSE(list.SetItemValue(&nMissing, &nText, &strName, NULL, NULL));
    EXPECT_FALSE(list.SetItemValue(&nID, &nBad, &strName, &nSeven, &bTen));

    EXPECT_EQ(0, list.InsertRow());
    EXPECT_STREQ("7", list.GetItemText(0, 0));
    EXPECT_STREQ("10", list.GetItemText(0, 1));
    EXPECT_STREQ("Fiendish", list.GetItemText(0, 2));
    // Values not set again carry over to the next row.
    EXPECT_TRUE(list.SetItemValue(nName, "Mild"));
    EXPECT_EQ(1, list.InsertRow());
    EXPECT_STREQ("7", list.GetItemText(1, 0));
    EXPECT_STREQ("Mild", list.GetItemText(1, 2));
}

TEST_F(ListFixture, ASingleColumnKeepsItsWidthAndAWideLastColumnShrinksNoFurtherThanZero)
{
    list.m_listColumns.Add(CListCtrlColumnInfo(1, 0, 77, "Only"));
    list.RebuildColumns();
    EXPECT_EQ(77, list.GetColumnWidth(0));

    list.m_listColumns.RemoveAll();
    list.m_listColumns.Add(CListCtrlColumnInfo(1, 0, 500, "Wide"));
    list.m_listColumns.Add(CListCtrlColumnInfo(2, 1, 20, "Last"));
    list.RebuildColumns();
    EXPECT_EQ(500, list.GetColumnWidth(0));
    EXPECT_EQ(0, list.GetColumnWidth(1));
}

TEST_F(ListFixture, RowsAlternateTheirColoursAndShowTheSelectionOnlyWhenTheyMay)
{
    AddColumns();
    for (int i = 0; i < 3; i++)
    {
        list.SetItemValue(13, "Row");
        list.InsertRow();
    }
    list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    CRect rcClient;
    list.GetClientRect(&rcClient);
    Canvas canvas(rcClient.Width(), rcClient.Height(), RGB(0, 255, 0));
    auto drawRow = [&](int nRow) {
        DRAWITEMSTRUCT dis = {};
        dis.CtlType = ODT_LISTVIEW;
        dis.itemID = nRow;
        dis.hwndItem = list.m_hWnd;
        dis.hDC = canvas.Handle();
        list.GetItemRect(nRow, &dis.rcItem, LVIR_BOUNDS);
        list.DrawItem(&dis);
        ::GdiFlush();
        CRect rc;
        list.GetItemRect(nRow, rc, LVIR_BOUNDS);
        return canvas.Pixel(rc.right - 2, rc.CenterPoint().y);
    };
    EXPECT_EQ(list.m_clrEvenRowBack, drawRow(0));
    EXPECT_EQ(list.m_clrEvenRowBack, drawRow(2));
    // Selected, but the list has no focus and does not always show it.
    EXPECT_EQ(list.m_clrOddRowBack, drawRow(1));
    list.ModifyStyle(0, LVS_SHOWSELALWAYS);
    EXPECT_EQ(::GetSysColor(COLOR_HIGHLIGHT), drawRow(1));
}

// The texts are drawn over the row's colour, with no box of the DC's
// background colour (white) behind them.
TEST_F(ListFixture, TextsHaveNoBoxBehindThem)
{
    AddColumns();
    list.SetItemValue(13, "Wide row text");
    list.InsertRow();
    CRect rcClient;
    list.GetClientRect(&rcClient);
    Canvas canvas(rcClient.Width(), rcClient.Height(), RGB(0, 255, 0));
    ::SetBkColor(canvas.Handle(), RGB(255, 255, 255));
    ::SetBkMode(canvas.Handle(), OPAQUE);
    DRAWITEMSTRUCT dis = {};
    dis.CtlType = ODT_LISTVIEW;
    dis.itemID = 0;
    dis.hwndItem = list.m_hWnd;
    dis.hDC = canvas.Handle();
    list.GetItemRect(0, &dis.rcItem, LVIR_BOUNDS);
    list.DrawItem(&dis);
    ::GdiFlush();
    CRect rcRow;
    list.GetItemRect(0, rcRow, LVIR_BOUNDS);
    int nWhite = 0, nText = 0;
    for (int y = rcRow.top; y < rcRow.bottom; y++)
        for (int x = rcRow.left; x < rcRow.right; x++)
        {
            COLORREF cr = canvas.Pixel(x, y);
            nWhite += cr == RGB(255, 255, 255);
            nText += cr == list.m_clrEvenRowText;
        }
    EXPECT_GT(nText, 0) << "the text is drawn";
    EXPECT_EQ(0, nWhite);
    EXPECT_EQ(OPAQUE, ::GetBkMode(canvas.Handle())) << "the DC's mode is given back";
}
