// Toolbar resources, toolbar buttons and their command updates, the status
// bar's panes, and the minimal rebar.
#include <gtest/gtest.h>

#include <afxext.h>

#include <vector>

// ---------------------------------------------------------------------------
// Toolbar resource blocks (built in memory: 16-bit words)

namespace
{
std::vector<WORD> Block(std::initializer_list<WORD> words)
{
    return std::vector<WORD>(words);
}

DWORD Bytes(const std::vector<WORD>& block)
{
    return (DWORD)(block.size() * sizeof(WORD));
}
} // namespace

TEST(ToolBarResource, ReadsSizesAndIds)
{
    std::vector<WORD> block = Block({1, 16, 15, 5, 2001, 0, 57601, 57603, 2005});
    CToolBarResourceInfo info;
    ASSERT_TRUE(CToolBar::ParseToolBarResource(block.data(), Bytes(block), info));
    EXPECT_EQ(CSize(16, 15), info.sizeImage);
    EXPECT_EQ((std::vector<UINT>{2001, 0, 57601, 57603, 2005}), info.ids);
}

TEST(ToolBarResource, EmptyBarIsValid)
{
    std::vector<WORD> block = Block({1, 16, 16, 0});
    CToolBarResourceInfo info;
    ASSERT_TRUE(CToolBar::ParseToolBarResource(block.data(), Bytes(block), info));
    EXPECT_TRUE(info.ids.empty());
}

TEST(ToolBarResource, BrokenBlocksAreRejectedUntouched)
{
    CToolBarResourceInfo info;
    info.sizeImage = CSize(7, 7);
    info.ids.push_back(99);

    std::vector<WORD> wrongVersion = Block({2, 16, 15, 1, 100});
    EXPECT_FALSE(CToolBar::ParseToolBarResource(wrongVersion.data(), Bytes(wrongVersion), info));

    // The count promises more ids than the block holds.
    std::vector<WORD> shortBlock = Block({1, 16, 15, 40, 100, 101});
    EXPECT_FALSE(CToolBar::ParseToolBarResource(shortBlock.data(), Bytes(shortBlock), info));
    std::vector<WORD> hugeCount = Block({1, 16, 15, 0xFFFF});
    EXPECT_FALSE(CToolBar::ParseToolBarResource(hugeCount.data(), Bytes(hugeCount), info));

    std::vector<WORD> zeroSize = Block({1, 0, 15, 1, 100});
    EXPECT_FALSE(CToolBar::ParseToolBarResource(zeroSize.data(), Bytes(zeroSize), info));

    std::vector<WORD> header = Block({1, 16, 15, 1, 100});
    EXPECT_FALSE(CToolBar::ParseToolBarResource(header.data(), 6, info)); // cut inside the header
    EXPECT_FALSE(CToolBar::ParseToolBarResource(NULL, 100, info));

    EXPECT_EQ(CSize(7, 7), info.sizeImage);
    EXPECT_EQ((std::vector<UINT>{99}), info.ids);
}

TEST(ToolBarTips, SecondFieldOfTheCommandString)
{
    EXPECT_STREQ("Open", CToolBar::ToolTipFromString("Open an existing puzzle\nOpen"));
    EXPECT_STREQ("Tip", CToolBar::ToolTipFromString("Prompt\nTip\nmore"));
    EXPECT_STREQ("", CToolBar::ToolTipFromString("Prompt only"));
    EXPECT_STREQ("", CToolBar::ToolTipFromString(NULL));
    CString strLong = CString("p\n") + CString('x', 200);
    CString strTip = CToolBar::ToolTipFromString(strLong);
    EXPECT_EQ(79, strTip.GetLength());
    // No string: no tip.
    EXPECT_TRUE(CToolBar::GetToolTipText(64999).IsEmpty());
    EXPECT_TRUE(CToolBar::GetToolTipText(0).IsEmpty());
}

// ---------------------------------------------------------------------------
// Bars in a frame

namespace
{
const UINT ID_CMD_HANDLED = 30001;
const UINT ID_CMD_UPDATED = 30002;
const UINT ID_CMD_ORPHAN = 30003;

class CBarTestFrame : public CFrameWnd
{
public:
    BOOL m_bUpdatedEnabled = FALSE;
    BOOL m_bPaneOn = TRUE;
    int m_nRuns = 0;

    afx_msg void OnHandled() { ++m_nRuns; }
    afx_msg void OnUpdateUpdated(CCmdUI* pCmdUI)
    {
        pCmdUI->Enable(m_bUpdatedEnabled);
        pCmdUI->SetCheck(1);
    }
    afx_msg void OnUpdateTitlePane(CCmdUI* pCmdUI) { pCmdUI->Enable(m_bPaneOn); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBarTestFrame, CFrameWnd)
    ON_COMMAND(ID_CMD_HANDLED, OnHandled)
    ON_UPDATE_COMMAND_UI(ID_CMD_UPDATED, OnUpdateUpdated)
    ON_UPDATE_COMMAND_UI(AFX_IDS_APP_TITLE, OnUpdateTitlePane)
END_MESSAGE_MAP()

class BarsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pFrame = new CBarTestFrame; // frames delete themselves
        ASSERT_TRUE(m_pFrame->Create(NULL, "bars", WS_OVERLAPPEDWINDOW, CRect(0, 0, 500, 300)));
    }
    void TearDown() override
    {
        if (m_pFrame != NULL && ::IsWindow(m_pFrame->m_hWnd))
            m_pFrame->DestroyWindow();
        AfxDeleteTempMaps();
    }
    CBarTestFrame* m_pFrame = nullptr;
};
} // namespace

TEST_F(BarsTest, ToolBarButtonsAndIndexes)
{
    CToolBar bar;
    ASSERT_TRUE(bar.CreateEx(m_pFrame, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS));
    EXPECT_EQ((UINT)AFX_IDW_TOOLBAR, (UINT)::GetDlgCtrlID(bar.m_hWnd));
    // The frame lays the bar out.
    EXPECT_EQ(&bar, m_pFrame->GetControlBar(AFX_IDW_TOOLBAR));

    const UINT ids[] = {ID_CMD_HANDLED, ID_SEPARATOR, ID_CMD_UPDATED, ID_CMD_ORPHAN};
    ASSERT_TRUE(bar.SetButtons(ids, 4));
    EXPECT_EQ(4, bar.GetCount());
    EXPECT_EQ(4, bar.GetToolBarCtrl().GetButtonCount());
    EXPECT_EQ(0, bar.CommandToIndex(ID_CMD_HANDLED));
    EXPECT_EQ(2, bar.CommandToIndex(ID_CMD_UPDATED));
    EXPECT_EQ(-1, bar.CommandToIndex(12345));
    EXPECT_EQ(ID_CMD_ORPHAN, bar.GetItemID(3));
    EXPECT_EQ((UINT)ID_SEPARATOR, bar.GetItemID(1));
    EXPECT_EQ((UINT)ID_SEPARATOR, bar.GetItemID(17));
    EXPECT_TRUE(bar.GetButtonStyle(1) & TBBS_SEPARATOR);
    EXPECT_EQ(0u, bar.GetButtonStyle(-3));

    CRect rect0, rect2;
    bar.GetItemRect(0, &rect0);
    bar.GetItemRect(2, &rect2);
    EXPECT_GT(rect0.Width(), 0);
    EXPECT_GT(rect2.left, rect0.right);

    // Buttons start enabled; TBBS_DISABLED is the inverse of the state bit.
    EXPECT_FALSE(bar.GetButtonStyle(0) & TBBS_DISABLED);
    bar.SetButtonStyle(0, bar.GetButtonStyle(0) | TBBS_DISABLED);
    EXPECT_FALSE(bar.GetToolBarCtrl().IsButtonEnabled(ID_CMD_HANDLED));
    EXPECT_TRUE(bar.GetButtonStyle(0) & TBBS_DISABLED);

    // The whole row fits the bar's fixed size.
    CSize size = bar.CalcFixedLayout(FALSE, TRUE);
    CRect rect3;
    bar.GetItemRect(3, &rect3);
    EXPECT_GE(size.cx, rect3.right);
    EXPECT_EQ(32767, bar.CalcFixedLayout(TRUE, TRUE).cx);

    bar.SetButtonInfo(3, 40000, TBBS_BUTTON, 1);
    UINT nID = 0, nStyle = 0;
    int iImage = -1;
    bar.GetButtonInfo(3, nID, nStyle, iImage);
    EXPECT_EQ(40000u, nID);
    EXPECT_EQ(1, iImage);
}

TEST_F(BarsTest, ToolBarUpdatesFromCommands)
{
    CToolBar bar;
    ASSERT_TRUE(bar.Create(m_pFrame));
    const UINT ids[] = {ID_CMD_HANDLED, ID_SEPARATOR, ID_CMD_UPDATED, ID_CMD_ORPHAN};
    ASSERT_TRUE(bar.SetButtons(ids, 4));
    CToolBarCtrl& ctrl = bar.GetToolBarCtrl();

    bar.OnUpdateCmdUI(m_pFrame, TRUE);
    EXPECT_TRUE(ctrl.IsButtonEnabled(ID_CMD_HANDLED));   // has a handler
    EXPECT_FALSE(ctrl.IsButtonEnabled(ID_CMD_UPDATED));  // its update handler says so
    EXPECT_TRUE(ctrl.IsButtonChecked(ID_CMD_UPDATED));
    EXPECT_TRUE(bar.GetButtonStyle(2) & TBBS_CHECKBOX);
    EXPECT_FALSE(ctrl.IsButtonEnabled(ID_CMD_ORPHAN));   // nobody handles it

    m_pFrame->m_bUpdatedEnabled = TRUE;
    bar.OnUpdateCmdUI(m_pFrame, TRUE);
    EXPECT_TRUE(ctrl.IsButtonEnabled(ID_CMD_UPDATED));

    // Without disabling, a command nobody handles keeps its state.
    ctrl.EnableButton(ID_CMD_ORPHAN, TRUE);
    bar.OnUpdateCmdUI(m_pFrame, FALSE);
    EXPECT_TRUE(ctrl.IsButtonEnabled(ID_CMD_ORPHAN));
}

TEST_F(BarsTest, ToolTipRequestWithoutATipGoesOn)
{
    CToolBar bar;
    ASSERT_TRUE(bar.CreateEx(m_pFrame, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS));
    NMTTDISPINFOA info;
    memset(&info, 0, sizeof(info));
    info.hdr.hwndFrom = bar.m_hWnd;
    info.hdr.idFrom = 64999; // no string
    info.hdr.code = TTN_NEEDTEXTA;
    bar.SendMessage(WM_NOTIFY, 0, (LPARAM)&info);
    EXPECT_STREQ("", info.szText);
}

TEST_F(BarsTest, LoadToolBarOfAMissingResourceChangesNothing)
{
    CToolBar bar;
    ASSERT_TRUE(bar.Create(m_pFrame));
    const UINT ids[] = {ID_CMD_HANDLED};
    bar.SetButtons(ids, 1);
    EXPECT_FALSE(bar.LoadToolBar(64998));
    EXPECT_EQ(1, bar.GetCount());
    CToolBar unmade;
    EXPECT_FALSE(unmade.LoadToolBar(64998));
}

TEST_F(BarsTest, StatusBarPanes)
{
    CStatusBar bar;
    ASSERT_TRUE(bar.Create(m_pFrame));
    EXPECT_EQ((UINT)AFX_IDW_STATUS_BAR, (UINT)::GetDlgCtrlID(bar.m_hWnd));
    EXPECT_EQ(0xE801u, (UINT)::GetDlgCtrlID(bar.m_hWnd));

    const UINT ids[] = {ID_SEPARATOR, AFX_IDS_IDLEMESSAGE, AFX_IDS_APP_TITLE};
    ASSERT_TRUE(bar.SetIndicators(ids, 3));
    EXPECT_EQ(3, bar.GetCount());
    EXPECT_STREQ("Ready", bar.GetPaneText(1));
    EXPECT_STREQ("Brindlemark", bar.GetPaneText(2));
    EXPECT_EQ(1, bar.CommandToIndex(AFX_IDS_IDLEMESSAGE));
    EXPECT_EQ(-1, bar.CommandToIndex(4321));
    EXPECT_TRUE(bar.GetPaneStyle(0) & SBPS_STRETCH);

    // A missing indicator string fails and leaves the panes as they were.
    const UINT broken[] = {ID_SEPARATOR, 64997};
    EXPECT_FALSE(bar.SetIndicators(broken, 2));
    EXPECT_EQ(3, bar.GetCount());

    // The frame's prompts arrive as window text: pane 0.
    bar.SetWindowText("Hello");
    EXPECT_STREQ("Hello", bar.GetPaneText(0));
    CString text;
    bar.GetWindowText(text);
    EXPECT_STREQ("Hello", text);
    EXPECT_TRUE(bar.SetPaneText(2, "Other"));
    EXPECT_FALSE(bar.SetPaneText(9, "nowhere"));

    char shown[64] = {0};
    bar.SendMessage(SB_GETTEXT, 2, (LPARAM)shown);
    EXPECT_STREQ("Other", shown);

    // A disabled pane (a lock key that is off) shows nothing but keeps its text.
    bar.SetPaneStyle(2, bar.GetPaneStyle(2) | SBPS_DISABLED);
    bar.SendMessage(SB_GETTEXT, 2, (LPARAM)shown);
    EXPECT_STREQ("", shown);
    EXPECT_STREQ("Other", bar.GetPaneText(2));
    bar.SetPaneStyle(2, bar.GetPaneStyle(2) & ~SBPS_DISABLED);
    bar.SendMessage(SB_GETTEXT, 2, (LPARAM)shown);
    EXPECT_STREQ("Other", shown);

    // The status bar takes the bottom edge and a text line's height.
    CSize size = bar.CalcFixedLayout(TRUE, TRUE);
    EXPECT_EQ(32767, size.cx);
    TEXTMETRIC tm;
    CClientDC dc(&bar);
    CFont* pOld = dc.SelectObject(CFont::FromHandle((HFONT)bar.SendMessage(WM_GETFONT)));
    dc.GetTextMetrics(&tm);
    dc.SelectObject(pOld);
    EXPECT_GT(size.cy, tm.tmHeight);
}

// A click on a docked bar activates the frame as a click on any of its
// children does; only a floating bar refuses the activation.
TEST_F(BarsTest, OnlyAFloatingBarRefusesTheActivationOfAClick)
{
    CStatusBar bar;
    ASSERT_TRUE(bar.Create(m_pFrame));
    const LPARAM lClick = MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN);
    EXPECT_EQ(MA_ACTIVATE, (int)bar.SendMessage(WM_MOUSEACTIVATE, (WPARAM)m_pFrame->m_hWnd, lClick));
    bar.SetBarStyle(bar.GetBarStyle() | CBRS_FLOATING);
    EXPECT_EQ(MA_NOACTIVATE, (int)bar.SendMessage(WM_MOUSEACTIVATE, (WPARAM)m_pFrame->m_hWnd, lClick));
}

TEST_F(BarsTest, StatusBarIndicatorUpdates)
{
    CStatusBar bar;
    ASSERT_TRUE(bar.Create(m_pFrame));
    const UINT ids[] = {ID_SEPARATOR, AFX_IDS_IDLEMESSAGE, AFX_IDS_APP_TITLE};
    ASSERT_TRUE(bar.SetIndicators(ids, 3));
    char shown[64] = {0};

    // A pane whose update handler disables it goes blank, like a lock key
    // that is off; enabled again it shows its text.
    m_pFrame->m_bPaneOn = FALSE;
    bar.OnUpdateCmdUI(m_pFrame, TRUE);
    EXPECT_TRUE(bar.GetPaneStyle(2) & SBPS_DISABLED);
    bar.SendMessage(SB_GETTEXT, 2, (LPARAM)shown);
    EXPECT_STREQ("", shown);
    m_pFrame->m_bPaneOn = TRUE;
    bar.OnUpdateCmdUI(m_pFrame, TRUE);
    bar.SendMessage(SB_GETTEXT, 2, (LPARAM)shown);
    EXPECT_STREQ("Brindlemark", shown);

    // A pane nobody handles keeps its state: panes are never disabled for
    // lack of a handler.
    EXPECT_FALSE(bar.GetPaneStyle(1) & SBPS_DISABLED);
}

TEST_F(BarsTest, ReBarTakesBarsAsBands)
{
    CReBar rebar;
    ASSERT_TRUE(rebar.Create(m_pFrame));
    EXPECT_TRUE(rebar.IsKindOf(RUNTIME_CLASS(CControlBar)));
    CToolBar bar;
    ASSERT_TRUE(bar.CreateEx(&rebar, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP));
    const UINT ids[] = {ID_CMD_HANDLED, ID_CMD_UPDATED};
    bar.SetButtons(ids, 2);
    EXPECT_EQ(0, rebar.GetBandCount());
    EXPECT_TRUE(rebar.AddBar(&bar));
    EXPECT_EQ(1, rebar.GetBandCount());
    EXPECT_FALSE(rebar.AddBar(NULL));
}

namespace
{
BOOL CALLBACK TakeFirstName(HMODULE, LPCSTR, LPSTR lpName, LONG_PTR lParam)
{
    *(LPSTR*)lParam = lpName;
    return FALSE; // the first one will do
}
} // namespace

TEST_F(BarsTest, DialogBarFromAnyTemplate)
{
    CDialogBar missing;
    EXPECT_FALSE(missing.Create(m_pFrame, 64996, CBRS_TOP, 0xE805));

    // Whatever dialog the program carries: the bar makes it a child.
    LPSTR lpszName = NULL;
    ::EnumResourceNamesA(::GetModuleHandle(NULL), RT_DIALOG, TakeFirstName, (LONG_PTR)&lpszName);
    if (lpszName == NULL)
        GTEST_SKIP() << "no dialog template in the program";
    CDialogBar bar;
    ASSERT_TRUE(bar.Create(m_pFrame, lpszName, WS_VISIBLE | CBRS_TOP, 0xE805));
    EXPECT_TRUE(bar.GetStyle() & WS_CHILD);
    EXPECT_FALSE(bar.GetStyle() & WS_POPUP);
    EXPECT_EQ(m_pFrame->m_hWnd, ::GetParent(bar.m_hWnd));
    EXPECT_EQ(0xE805, ::GetDlgCtrlID(bar.m_hWnd));
    EXPECT_EQ(&bar, m_pFrame->GetControlBar(0xE805));
    EXPECT_GT(bar.m_sizeDefault.cx, 0);
    EXPECT_EQ(bar.m_sizeDefault.cy, bar.CalcFixedLayout(TRUE, TRUE).cy);
    EXPECT_EQ(32767, bar.CalcFixedLayout(TRUE, TRUE).cx);
    bar.DestroyWindow();
    EXPECT_EQ(nullptr, m_pFrame->GetControlBar(0xE805));
}
