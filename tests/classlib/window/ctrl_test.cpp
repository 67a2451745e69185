// Control wrappers on real windows: texts, owner drawing through
// reflection, the check list box, tooltips and the list view.
#include <gtest/gtest.h>

#include <afxcmn.h>

#include "support/canvas.h"

#include <string>
#include <vector>

using testsupport::Canvas;

namespace
{
// A top-level window that records the notifications of its children.
class CRecordingParent : public CWnd
{
public:
    struct Command
    {
        UINT nID;
        UINT nCode;
    };
    std::vector<Command> m_commands;

    BOOL CreateTestWindow()
    {
        LPCTSTR lpszClass = AfxRegisterWndClass(0);
        return CreateEx(0, lpszClass, "controls", WS_OVERLAPPEDWINDOW, 10, 10, 400, 300,
                        NULL, NULL);
    }

    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam)
    {
        m_commands.push_back(Command{LOWORD(wParam), HIWORD(wParam)});
        return CWnd::OnCommand(wParam, lParam);
    }

    int CountCode(UINT nCode) const
    {
        int n = 0;
        for (const Command& c : m_commands)
            n += c.nCode == nCode ? 1 : 0;
        return n;
    }
};

class ControlsTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_parent.CreateTestWindow()); }
    void TearDown() override
    {
        m_parent.DestroyWindow();
        AfxDeleteTempMaps();
    }
    CRecordingParent m_parent;
};

} // namespace

// ---------------------------------------------------------------------------
// Texts

TEST_F(ControlsTest, ListAndComboTexts)
{
    CListBox list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LBS_NOTIFY, CRect(0, 0, 100, 100), &m_parent, 100));
    std::string longText(700, 'q');
    EXPECT_EQ(0, list.AddString("alpha"));
    EXPECT_EQ(1, list.AddString(longText.c_str()));
    CString text;
    list.GetText(1, text);
    EXPECT_EQ(700, text.GetLength());
    list.GetText(7, text); // no such item: empty, no crash
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_EQ(0, list.FindStringExact(-1, "alpha"));
    list.SetItemData(0, 1234);
    EXPECT_EQ(1234u, list.GetItemData(0));

    CComboBox combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(0, 0, 100, 200), &m_parent, 101));
    combo.AddString("one");
    combo.AddString("two");
    combo.SetCurSel(1);
    EXPECT_EQ(1, combo.GetCurSel());
    combo.GetLBText(1, text);
    EXPECT_STREQ("two", text);
    combo.GetLBText(-5, text);
    EXPECT_TRUE(text.IsEmpty());
}

TEST_F(ControlsTest, EditSelectionAndLines)
{
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | ES_MULTILINE, CRect(0, 0, 200, 100), &m_parent, 102));
    edit.SetWindowText("first\r\nsecond");
    EXPECT_EQ(2, edit.GetLineCount());
    edit.SetSel(2, 4);
    int nStart = -1, nEnd = -1;
    edit.GetSel(nStart, nEnd);
    EXPECT_EQ(2, nStart);
    EXPECT_EQ(4, nEnd);
    char buffer[16];
    int n = edit.GetLine(1, buffer, (int)sizeof(buffer) - 1);
    buffer[n] = '\0';
    EXPECT_STREQ("second", buffer);
    edit.ReplaceSel(NULL); // a null text clears the selection
    CString text;
    edit.GetWindowText(text);
    EXPECT_STREQ("fit\r\nsecond", text);
    EXPECT_EQ(0, edit.GetLine(0, NULL, 10));
}

// ---------------------------------------------------------------------------
// Owner drawing through reflection

namespace
{
class CDrawnButton : public CButton
{
public:
    int m_nDrawn = 0;
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDIS)
    {
        ++m_nDrawn;
        ::FillRect(lpDIS->hDC, &lpDIS->rcItem, (HBRUSH)::GetStockObject(BLACK_BRUSH));
    }
};

class CMeasuredList : public CListBox
{
public:
    virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMIS) { lpMIS->itemHeight = 20 + lpMIS->itemID; }
    virtual void DrawItem(LPDRAWITEMSTRUCT) {}
};
} // namespace

TEST_F(ControlsTest, OwnerDrawnButtonDrawsThroughItsObject)
{
    CDrawnButton button;
    ASSERT_TRUE(button.Create("x", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(0, 0, 20, 20), &m_parent, 103));
    Canvas canvas(20, 20);
    DRAWITEMSTRUCT dis;
    memset(&dis, 0, sizeof(dis));
    dis.CtlType = ODT_BUTTON;
    dis.CtlID = 103;
    dis.itemAction = ODA_DRAWENTIRE;
    dis.hwndItem = button.m_hWnd;
    dis.hDC = canvas.DC()->m_hDC;
    dis.rcItem = CRect(0, 0, 20, 20);
    int nBefore = button.m_nDrawn;
    m_parent.SendMessage(WM_DRAWITEM, 103, (LPARAM)&dis);
    EXPECT_EQ(nBefore + 1, button.m_nDrawn);
    EXPECT_EQ(RGB(0, 0, 0), canvas.DC()->GetPixel(5, 5));
}

TEST_F(ControlsTest, VariableHeightListMeasuresThroughItsObject)
{
    CMeasuredList list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS,
                            CRect(0, 0, 100, 200), &m_parent, 104));
    list.AddString("a");
    list.AddString("b");
    EXPECT_EQ(20, list.GetItemHeight(0));
    EXPECT_EQ(21, list.GetItemHeight(1));
}

// ---------------------------------------------------------------------------
// Check list box

namespace
{
class CRecordingCheckList : public CCheckListBox
{
public:
    CRect m_rectText;
    int m_nTextDraws = 0;
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDIS)
    {
        ++m_nTextDraws;
        m_rectText = lpDIS->rcItem;
        CCheckListBox::DrawItem(lpDIS);
    }
};
} // namespace

TEST_F(ControlsTest, CheckStatesFollowTheirItems)
{
    CCheckListBox list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 150, 150), &m_parent, 105));
    EXPECT_TRUE(list.GetStyle() & LBS_OWNERDRAWFIXED);
    EXPECT_TRUE(list.GetStyle() & LBS_HASSTRINGS);
    list.AddString("a");
    list.AddString("b");
    list.AddString("c");
    list.SetItemData(1, 77); // item data stays the caller's
    list.SetCheck(1, 1);
    EXPECT_EQ(0, list.GetCheck(0));
    EXPECT_EQ(1, list.GetCheck(1));

    list.InsertString(0, "first");
    EXPECT_EQ(1, list.GetCheck(2)); // "b" moved down with its check
    EXPECT_EQ(0, list.GetCheck(1));
    EXPECT_EQ(77u, list.GetItemData(2));

    list.DeleteString(0);
    EXPECT_EQ(1, list.GetCheck(1));
    list.Enable(2, FALSE);
    EXPECT_FALSE(list.IsEnabled(2));
    EXPECT_TRUE(list.IsEnabled(0));

    // Out-of-range indexes are ignored.
    list.SetCheck(99, 1);
    list.SetCheck(-1, 1);
    EXPECT_EQ(0, list.GetCheck(99));
    EXPECT_EQ(0, list.GetCheck(-1));

    list.ResetContent();
    list.AddString("again");
    EXPECT_EQ(0, list.GetCheck(0));
}

TEST_F(ControlsTest, ClickingTheCheckBoxTogglesAndNotifies)
{
    CCheckListBox list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 150, 150), &m_parent, 106));
    list.AddString("a");
    list.AddString("b");
    CRect rectItem;
    list.GetItemRect(1, &rectItem);

    // A click on the text selects but does not toggle.
    CPoint ptText(rectItem.left + 60, rectItem.CenterPoint().y);
    list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptText.x, ptText.y));
    list.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(ptText.x, ptText.y));
    EXPECT_EQ(0, list.GetCheck(1));
    EXPECT_EQ(0, m_parent.CountCode(CLBN_CHKCHANGE));

    CPoint ptCheck(rectItem.left + 5, rectItem.CenterPoint().y);
    list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptCheck.x, ptCheck.y));
    list.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(ptCheck.x, ptCheck.y));
    EXPECT_EQ(1, list.GetCheck(1));
    EXPECT_EQ(1, m_parent.CountCode(CLBN_CHKCHANGE));
    ASSERT_FALSE(m_parent.m_commands.empty());
    EXPECT_EQ(106u, m_parent.m_commands.back().nID);

    // The space bar toggles the selected item.
    list.SetCurSel(1);
    list.SendMessage(WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(0, list.GetCheck(1));
    EXPECT_EQ(2, m_parent.CountCode(CLBN_CHKCHANGE));

    // A disabled item does not toggle.
    list.Enable(1, FALSE);
    list.SendMessage(WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(0, list.GetCheck(1));
    EXPECT_EQ(2, m_parent.CountCode(CLBN_CHKCHANGE));
}

TEST_F(ControlsTest, ThreeStateStyleCycles)
{
    CCheckListBox list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 150, 150), &m_parent, 107));
    list.SetCheckStyle(BS_AUTO3STATE);
    EXPECT_EQ((UINT)BS_AUTO3STATE, list.GetCheckStyle());
    list.SetCheckStyle(BS_PUSHBUTTON); // not a check style: ignored
    EXPECT_EQ((UINT)BS_AUTO3STATE, list.GetCheckStyle());
    list.AddString("a");
    list.SetCurSel(0);
    list.SendMessage(WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(1, list.GetCheck(0));
    list.SendMessage(WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(2, list.GetCheck(0));
    list.SendMessage(WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(0, list.GetCheck(0));
}

TEST_F(ControlsTest, CheckBoxIsDrawnBeforeTheItem)
{
    CRecordingCheckList list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 150, 150), &m_parent, 108));
    list.AddString("checked");
    list.AddString("unchecked");
    list.SetCheck(0, 1);
    EXPECT_GE(list.GetItemHeight(0), list.GetCheckBoxSize().cy + 2);

    auto drawRow = [&list](int nItem, Canvas& canvas) {
        DRAWITEMSTRUCT dis;
        memset(&dis, 0, sizeof(dis));
        dis.CtlType = ODT_LISTBOX;
        dis.itemID = (UINT)nItem;
        dis.itemAction = ODA_DRAWENTIRE;
        dis.hwndItem = list.m_hWnd;
        dis.hDC = canvas.DC()->m_hDC;
        dis.rcItem = CRect(0, 0, 150, 18);
        list.PreDrawItem(&dis);
    };
    Canvas checked(150, 18), unchecked(150, 18);
    drawRow(0, checked);
    drawRow(1, unchecked);
    // The text starts right of the check box.
    EXPECT_EQ(list.GetCheckBoxSize().cx + 3, list.m_rectText.left);
    EXPECT_EQ(2, list.m_nTextDraws);
    // The two check boxes differ: one has its mark.
    int nDifferent = 0;
    for (int x = 1; x < 14; ++x)
        for (int y = 2; y < 16; ++y)
            nDifferent += checked.DC()->GetPixel(x, y) != unchecked.DC()->GetPixel(x, y) ? 1 : 0;
    EXPECT_GT(nDifferent, 0);
}

// ---------------------------------------------------------------------------
// Tooltips

TEST_F(ControlsTest, ToolTipToolsUseTheOldStructureSize)
{
    CToolTipCtrl tip;
    ASSERT_TRUE(tip.Create(&m_parent));
    CButton button;
    ASSERT_TRUE(button.Create("b", WS_CHILD | WS_VISIBLE, CRect(0, 0, 40, 20), &m_parent, 109));

    TOOLINFO ti;
    tip.FillInToolInfo(ti, &button, 0);
    EXPECT_EQ((UINT)TTTOOLINFOA_V2_SIZE, ti.cbSize);
    if (sizeof(void*) == 4)
    {
        EXPECT_EQ(44u, ti.cbSize);
    }
    EXPECT_EQ(m_parent.m_hWnd, ti.hwnd);
    EXPECT_EQ((UINT_PTR)button.m_hWnd, ti.uId);
    EXPECT_TRUE(ti.uFlags & TTF_IDISHWND);

    ASSERT_TRUE(tip.AddTool(&button, "Press me"));
    EXPECT_EQ(1, tip.GetToolCount());
    CString text;
    tip.GetText(text, &button);
    EXPECT_STREQ("Press me", text);
    tip.UpdateTipText("Changed", &button);
    tip.GetText(text, &button);
    EXPECT_STREQ("Changed", text);

    CToolInfo info;
    ASSERT_TRUE(tip.GetToolInfo(info, &button));
    EXPECT_STREQ("Changed", info.lpszText);

    // A rectangle tool with its own id in the parent's client area.
    CRect rect(100, 100, 150, 150);
    ASSERT_TRUE(tip.AddTool(&m_parent, "Area", &rect, 5));
    EXPECT_EQ(2, tip.GetToolCount());
    TOOLINFO hit;
    EXPECT_TRUE(tip.HitTest(&m_parent, CPoint(120, 120), &hit));
    EXPECT_EQ(5u, hit.uId);
    EXPECT_FALSE(tip.HitTest(&m_parent, CPoint(10, 200), &hit));

    tip.SetMaxTipWidth(300);
    EXPECT_EQ(300, tip.GetMaxTipWidth());
    tip.SetDelayTime(TTDT_INITIAL, 250);
    EXPECT_EQ(250, tip.GetDelayTime(TTDT_INITIAL));

    tip.DelTool(&button);
    tip.DelTool(&m_parent, 5);
    EXPECT_EQ(0, tip.GetToolCount());
    EXPECT_FALSE(tip.AddTool(NULL, "nothing"));
}

// ---------------------------------------------------------------------------
// List view

TEST_F(ControlsTest, ReportViewTextsDataAndSelection)
{
    CListCtrl list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 300, 200), &m_parent, 110));
    EXPECT_EQ(0, list.InsertColumn(0, "Name", LVCFMT_LEFT, 100));
    EXPECT_EQ(1, list.InsertColumn(1, "Value", LVCFMT_RIGHT, 80));
    EXPECT_EQ(0, list.InsertItem(0, "row0"));
    EXPECT_EQ(1, list.InsertItem(1, "row1"));
    std::string longText(900, 'z');
    EXPECT_TRUE(list.SetItemText(1, 1, longText.c_str()));
    EXPECT_EQ(900, list.GetItemText(1, 1).GetLength());
    EXPECT_STREQ("row0", list.GetItemText(0, 0));

    char small[5];
    EXPECT_EQ(4, list.GetItemText(1, 1, small, 5));
    EXPECT_STREQ("zzzz", small);

    EXPECT_TRUE(list.SetItemData(1, 4242));
    EXPECT_EQ(4242u, list.GetItemData(1));
    EXPECT_EQ(100, list.GetColumnWidth(0));

    list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    POSITION pos = list.GetFirstSelectedItemPosition();
    std::vector<int> selected;
    while (pos != NULL)
        selected.push_back(list.GetNextSelectedItem(pos));
    EXPECT_EQ((std::vector<int>{0, 1}), selected);

    CHeaderCtrl* pHeader = list.GetHeaderCtrl();
    ASSERT_NE(nullptr, pHeader);
    EXPECT_EQ(2, pHeader->GetItemCount());
}

TEST_F(ControlsTest, SmallCommonControls)
{
    CProgressCtrl progress;
    ASSERT_TRUE(progress.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 10), &m_parent, 111));
    progress.SetRange32(0, 50);
    progress.SetPos(10);
    progress.SetStep(5);
    progress.StepIt();
    EXPECT_EQ(15, progress.GetPos());
    int nLow = -1, nHigh = -1;
    progress.GetRange(nLow, nHigh);
    EXPECT_EQ(0, nLow);
    EXPECT_EQ(50, nHigh);

    CEdit buddy;
    buddy.Create(WS_CHILD | WS_VISIBLE, CRect(0, 20, 50, 40), &m_parent, 112);
    CSpinButtonCtrl spin;
    ASSERT_TRUE(spin.Create(WS_CHILD | WS_VISIBLE | UDS_SETBUDDYINT, CRect(50, 20, 70, 40), &m_parent, 113));
    spin.SetBuddy(&buddy);
    spin.SetRange(0, 255);
    spin.SetPos(200);
    EXPECT_EQ(200, spin.GetPos());
    int nLower = -1, nUpper = -1;
    spin.GetRange(nLower, nUpper);
    EXPECT_EQ(0, nLower);
    EXPECT_EQ(255, nUpper);
    EXPECT_EQ(buddy.m_hWnd, spin.GetBuddy()->GetSafeHwnd());

    CTabCtrl tabs;
    ASSERT_TRUE(tabs.Create(WS_CHILD | WS_VISIBLE, CRect(0, 50, 200, 100), &m_parent, 114));
    EXPECT_EQ(0, tabs.InsertItem(0, "One"));
    EXPECT_EQ(1, tabs.InsertItem(1, "Two"));
    tabs.SetCurSel(1);
    EXPECT_EQ(1, tabs.GetCurSel());
    EXPECT_EQ(2, tabs.GetItemCount());

    CSliderCtrl slider;
    ASSERT_TRUE(slider.Create(WS_CHILD | WS_VISIBLE, CRect(0, 110, 200, 130), &m_parent, 115));
    slider.SetRange(10, 20);
    slider.SetPos(15);
    EXPECT_EQ(15, slider.GetPos());
    EXPECT_EQ(10, slider.GetRangeMin());
    EXPECT_EQ(20, slider.GetRangeMax());
}
