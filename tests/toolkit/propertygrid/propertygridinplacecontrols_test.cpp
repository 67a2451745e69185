// The in-place editor and drop-down list of a property grid: constraint
// stepping and typing, commit and cancel, and where the drop-down opens.
// ctest: run-serial
#include "support/propertygrid_fixture.h"
#include "XTPDrawHelpers.h"
#include "support/mouseinput.h"
#include "support/pump.h"

namespace
{
::testing::Environment* const s_env = ::testing::AddGlobalTestEnvironment(new testsupport::Environment());

class InplaceTest : public testsupport::PropertyGridFixture
{
protected:
    CXTPPropertyGridItem* AddItem(CXTPPropertyGridItem* pItem)
    {
        if (m_pCategory == NULL)
        {
            m_pCategory = m_grid.AddCategory("Category");
            m_pCategory->Expand();
        }
        return m_pCategory->AddChildItem(pItem);
    }
    CXTPPropertyGridItem* AddGreekItem(BOOL bConstrained)
    {
        CXTPPropertyGridItem* pItem = AddItem(new CXTPPropertyGridItem("Greek", "Alpha"));
        pItem->GetConstraints()->AddConstraint("Alpha");
        pItem->GetConstraints()->AddConstraint("Beta");
        pItem->GetConstraints()->AddConstraint("Bravo");
        pItem->SetConstraintEdit(bConstrained);
        pItem->SetFlags(xtpPropertyGridItemEdit | xtpPropertyGridItemComboButton);
        return pItem;
    }
    // Selects the item and puts the focus into its editor.
    HWND Edit(CXTPPropertyGridItem* pItem)
    {
        pItem->Select();
        pItem->SetFocusToInplaceControl();
        return m_grid.GetInplaceEdit().m_hWnd;
    }

    CXTPPropertyGridItem* m_pCategory = NULL;
};

TEST_F(InplaceTest, TypingPicksTheNextConstraintWithThatLetter)
{
    CXTPPropertyGridItem* pItem = AddGreekItem(TRUE);
    HWND hEdit = Edit(pItem);
    SendChar(hEdit, 'b');
    EXPECT_STREQ("Beta", EditText());
    SendChar(hEdit, 'b');
    EXPECT_STREQ("Bravo", EditText());
    SendChar(hEdit, 'B');
    EXPECT_STREQ("Beta", EditText());
    SendChar(hEdit, 'z');
    EXPECT_STREQ("Beta", EditText());

    // Enter hands the focus back to the view, which commits the choice.
    SendChar(hEdit, VK_RETURN);
    EXPECT_EQ(View().m_hWnd, ::GetFocus());
    EXPECT_STREQ("Beta", pItem->GetValue());
    ASSERT_EQ(1u, CountNotes(XTP_PGN_ITEMVALUE_CHANGED));
    EXPECT_EQ(1u, CountNotes(XTP_PGN_REQUESTEDIT));
    EXPECT_EQ(1u, CountNotes(XTP_PGN_AFTEREDIT));
}

TEST_F(InplaceTest, UpAndDownStopAtTheEndsAndADoubleClickWraps)
{
    CXTPPropertyGridItem* pItem = AddGreekItem(TRUE);
    HWND hEdit = Edit(pItem);
    SendKey(hEdit, VK_UP);
    EXPECT_STREQ("Alpha", EditText());
    SendKey(hEdit, VK_DOWN);
    SendKey(hEdit, VK_DOWN);
    EXPECT_STREQ("Bravo", EditText());
    SendKey(hEdit, VK_DOWN);
    EXPECT_STREQ("Bravo", EditText());

    ::SendMessage(hEdit, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(2, 2));
    EXPECT_STREQ("Alpha", pItem->GetValue());
    EXPECT_EQ(View().m_hWnd, ::GetFocus());
}

TEST_F(InplaceTest, EscapeCancelsTheTypedText)
{
    CXTPPropertyGridItem* pItem = AddItem(new CXTPPropertyGridItem("Name", "old"));
    HWND hEdit = Edit(pItem);
    ::SetWindowText(hEdit, "new");
    EXPECT_GE(CountNotes(XTP_PGN_EDIT_CHANGED), 1u);
    SendKey(hEdit, VK_ESCAPE);
    SendChar(hEdit, VK_ESCAPE);
    EXPECT_STREQ("old", pItem->GetValue());
    EXPECT_EQ(1u, CountNotes(XTP_PGN_CANCELEDIT));
    EXPECT_EQ(0u, CountNotes(XTP_PGN_ITEMVALUE_CHANGED));
}

TEST_F(InplaceTest, OwnerRefusingTheEditSendsTheFocusBack)
{
    CXTPPropertyGridItem* pItem = AddItem(new CXTPPropertyGridItem("Name", "old"));
    m_host.m_handler = [](WPARAM nCode, LPARAM lParam) -> LRESULT {
        if (nCode == XTP_PGN_REQUESTEDIT)
            ((XTP_PROPERTYGRID_EDITREQUEST*)lParam)->bCancel = TRUE;
        return 0;
    };
    Edit(pItem);
    EXPECT_EQ(View().m_hWnd, ::GetFocus());
    EXPECT_FALSE(m_grid.GetInplaceEdit().IsEditing());
}

TEST_F(InplaceTest, ListAppliesWithEnterAndCancelsWithEscape)
{
    CXTPPropertyGridItem* pItem = AddGreekItem(TRUE);
    pItem->Select();
    View().SetFocus();
    SendKey(View().m_hWnd, VK_F4);
    ASSERT_TRUE(IsListShown());
    CXTPPropertyGridInplaceList& wndList = m_grid.GetInplaceList();
    EXPECT_EQ(0, wndList.GetCurSel());
    EXPECT_EQ(wndList.m_hWnd, ::GetFocus());

    wndList.SetCurSel(2);
    SendKey(wndList.m_hWnd, VK_RETURN);
    EXPECT_STREQ("Bravo", pItem->GetValue());
    EXPECT_EQ(2, pItem->GetConstraints()->GetCurrent());
    EXPECT_FALSE(IsListShown());

    ClearNotes();
    SendKey(View().m_hWnd, VK_F4);
    ASSERT_TRUE(IsListShown());
    SendKey(wndList.m_hWnd, VK_ESCAPE);
    EXPECT_FALSE(IsListShown());
    EXPECT_STREQ("Bravo", pItem->GetValue());
    EXPECT_EQ(1u, CountNotes(XTP_PGN_CANCELEDIT));
    EXPECT_EQ(0u, CountNotes(XTP_PGN_ITEMVALUE_CHANGED));
}

// The list is owned by the grid's view: a click outside it closes it and
// leaves the focus in the grid, not in the window around it, so the next
// click acts on the grid at once.
TEST_F(InplaceTest, AClickOutsideTheListClosesItAndTheGridKeepsTheFocus)
{
    CXTPPropertyGridItem* pItem = AddGreekItem(TRUE);
    pItem->Select();
    View().SetFocus();
    SendKey(View().m_hWnd, VK_F4);
    ASSERT_TRUE(IsListShown());
    CXTPPropertyGridInplaceList& wndList = m_grid.GetInplaceList();
    EXPECT_EQ(View().m_hWnd, ::GetWindow(wndList.m_hWnd, GW_OWNER));
    EXPECT_EQ(0u, wndList.GetStyle() & WS_CHILD);
    EXPECT_NE(0u, wndList.GetExStyle() & WS_EX_TOPMOST);

    // A press on the grid's row, outside the list, as the mouse hook sees it.
    CRect rcList;
    wndList.GetWindowRect(&rcList);
    MOUSEHOOKSTRUCT mhs = {};
    mhs.pt = CPoint(rcList.left - 5, rcList.top - 8);
    mhs.hwnd = View().m_hWnd;
    EXPECT_EQ(1, CXTPOutsideClickMonitor::MouseProc(HC_ACTION, WM_LBUTTONDOWN, (LPARAM)&mhs));
    EXPECT_FALSE(IsListShown());
    EXPECT_EQ(View().m_hWnd, ::GetFocus());
    EXPECT_STREQ("Alpha", pItem->GetValue());
    EXPECT_FALSE(CXTPOutsideClickMonitor::IsMonitoring());
}

TEST_F(InplaceTest, WideConstraintsGrowTheListLeftButNotPastTheRow)
{
    CXTPPropertyGridItem* pItem = AddItem(new CXTPPropertyGridItem("Wide", "x"));
    pItem->GetConstraints()->AddConstraint("short");
    pItem->GetConstraints()->AddConstraint("a very long constraint text that is wider than any value column of a grid");
    pItem->SetFlags(xtpPropertyGridItemEdit | xtpPropertyGridItemComboButton);
    pItem->Select();
    pItem->OnInplaceButtonDown(pItem->GetInplaceButtons()->Find(XTP_ID_PROPERTYGRID_COMBOBUTTON));
    ASSERT_TRUE(IsListShown());

    CRect rcRow = pItem->GetItemRect();
    View().ClientToScreen(&rcRow);
    CRect rcList;
    m_grid.GetInplaceList().GetWindowRect(&rcList);
    EXPECT_EQ(rcRow.right, rcList.right);
    EXPECT_EQ(rcRow.Width() - 14, rcList.Width());
    EXPECT_EQ(rcRow.bottom, rcList.top);
    m_grid.GetInplaceList().DestroyItem();
}

TEST_F(InplaceTest, NearTheBottomOfTheScreenTheListOpensAboveTheRow)
{
    CRect rcWork;
    ::SystemParametersInfo(SPI_GETWORKAREA, 0, &rcWork, 0);
    m_host.SetWindowPos(NULL, 40, rcWork.bottom - m_rcHost.Height(), 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    m_grid.ShowHelp(FALSE);
    CXTPPropertyGridItem* pCategory = m_grid.AddCategory("Filler");
    for (int i = 0; i < 12; i++)
        pCategory->AddChildItem(new CXTPPropertyGridItem("Filler", "x"));
    pCategory->Expand();
    CXTPPropertyGridItem* pItem = AddGreekItem(TRUE);
    for (int i = 0; i < 20; i++)
        pItem->GetConstraints()->AddConstraint("More");
    View().SetTopIndex(pItem->GetIndex());
    pItem->Select();
    pItem->OnInplaceButtonDown(pItem->GetInplaceButtons()->Find(XTP_ID_PROPERTYGRID_COMBOBUTTON));
    ASSERT_TRUE(IsListShown());

    CRect rcRow = pItem->GetItemRect();
    View().ClientToScreen(&rcRow);
    ASSERT_GT(rcRow.top, rcWork.CenterPoint().y);
    CRect rcList;
    m_grid.GetInplaceList().GetWindowRect(&rcList);
    EXPECT_EQ(rcRow.top - 1, rcList.bottom);
    // At most ten rows show at once.
    EXPECT_EQ(10 * m_grid.GetInplaceList().GetItemHeight(0) + 2, rcList.Height());
    m_grid.GetInplaceList().DestroyItem();
}

// A real click, pressed and let go at one screen point, as input events.
std::vector<INPUT> RealClick(CPoint pt)
{
    using testsupport::MouseInput;
    const DWORD dwAt = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    return {MouseInput(dwAt, pt), MouseInput(dwAt | MOUSEEVENTF_LEFTDOWN, pt), MouseInput(dwAt | MOUSEEVENTF_LEFTUP, pt)};
}

// Pumps the thread's messages (the grid runs on it) until the condition
// holds, for at most five seconds.
template <class F>
bool PumpUntil(F condition)
{
    for (int n = 0; n < 100 && !condition(); n++)
        testsupport::Pump(50);
    return condition();
}

// A click on an entry of the drop-down takes that entry, with real mouse
// input: when the list is open, and when the click was made so soon after
// the one on the drop-down button that it waits in the queue while the
// list opens.
TEST_F(InplaceTest, AClickOnAListEntryTakesItEvenWhileTheListOpens)
{
    m_host.SetForegroundWindow();
    CXTPPropertyGridItemBool* pItem = (CXTPPropertyGridItemBool*)AddItem(new CXTPPropertyGridItemBool("Force", FALSE));
    pItem->Select();
    View().SetFocus();
    m_host.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    testsupport::Pump(100);
    CXTPPropertyGridInplaceButton* pButton = pItem->GetInplaceButtons()->Find(XTP_ID_PROPERTYGRID_COMBOBUTTON);
    ASSERT_TRUE(pButton != NULL);
    CRect rcButton = pButton->GetRect();
    ASSERT_FALSE(rcButton.IsRectEmpty()) << "the drop-down button is drawn";
    View().ClientToScreen(&rcButton);
    const CPoint ptButton = rcButton.CenterPoint();

    // The list opened by a click on the button; the click on "True" (the
    // first entry) once it shows.
    testsupport::SendInputs(RealClick(ptButton));
    ASSERT_TRUE(PumpUntil([&] { return IsListShown() != FALSE; })) << "the button opened no list";
    CXTPPropertyGridInplaceList& wndList = m_grid.GetInplaceList();
    ASSERT_EQ(1, wndList.GetCurSel()) << "the list opens on False";
    CRect rcTrue;
    wndList.GetItemRect(0, &rcTrue);
    wndList.ClientToScreen(&rcTrue);
    const CPoint ptTrue = rcTrue.CenterPoint();
    testsupport::SendInputs(RealClick(ptTrue));
    EXPECT_TRUE(PumpUntil([&] { return !IsListShown(); })) << "the click left the list open";
    EXPECT_STREQ("True", pItem->GetValue());
    EXPECT_TRUE(pItem->GetBool());

    // Back to False with the keyboard, then both clicks at once: the second
    // is made before the list exists.
    pItem->SetBool(FALSE);
    View().SetFocus();
    testsupport::Pump(100);
    for (int nTry = 0; nTry < 4; nTry++)
    {
        SCOPED_TRACE(testing::Message() << "quick try " << nTry);
        pItem->SetBool(FALSE);
        View().SetFocus();
        testsupport::Pump(100);
        std::vector<INPUT> inputs = RealClick(ptButton);
        for (const INPUT& input : RealClick(ptTrue))
            inputs.push_back(input);
        testsupport::SendInputs(inputs);
        PumpUntil([&] { return pItem->GetBool() != FALSE; });
        testsupport::Pump(200);
        EXPECT_STREQ("True", pItem->GetValue());
        EXPECT_FALSE(IsListShown()) << "the list stays open";
        if (IsListShown())
            wndList.DestroyItem();
    }
    EXPECT_EQ(View().m_hWnd, ::GetFocus()) << "the grid keeps the focus";
}

// Two quick clicks on the drop-down button make a double click. When the
// list was closed (Escape) after the first, the second opens it again and
// the value is not stepped as by a double click on the row; when the list
// is still open the second closes it, the value unchanged.
TEST_F(InplaceTest, ASecondQuickClickOnTheDropDownButtonIsAClickOnIt)
{
    m_host.SetForegroundWindow();
    CXTPPropertyGridItemBool* pItem = (CXTPPropertyGridItemBool*)AddItem(new CXTPPropertyGridItemBool("Force", FALSE));
    pItem->Select();
    View().SetFocus();
    m_host.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    testsupport::Pump(100);
    CXTPPropertyGridInplaceButton* pButton = pItem->GetInplaceButtons()->Find(XTP_ID_PROPERTYGRID_COMBOBUTTON);
    ASSERT_TRUE(pButton != NULL);
    CRect rcButton = pButton->GetRect();
    ASSERT_FALSE(rcButton.IsRectEmpty());
    View().ClientToScreen(&rcButton);
    const CPoint ptButton = rcButton.CenterPoint();
    // Whatever an earlier test clicked, the next click here is a first one.
    testsupport::Pump(::GetDoubleClickTime() + 100);

    testsupport::SendInputs(RealClick(ptButton));
    ASSERT_TRUE(PumpUntil([&] { return IsListShown() != FALSE; })) << "the first click opened no list";
    SendKey(m_grid.GetInplaceList().m_hWnd, VK_ESCAPE);
    ASSERT_FALSE(IsListShown());
    testsupport::SendInputs(RealClick(ptButton));
    EXPECT_TRUE(PumpUntil([&] { return IsListShown() != FALSE; })) << "the second click opened no list";
    EXPECT_STREQ("False", pItem->GetValue()) << "the second click stepped the value";
    if (IsListShown())
        SendKey(m_grid.GetInplaceList().m_hWnd, VK_ESCAPE);
    testsupport::Pump(::GetDoubleClickTime() + 100);

    // A double click on the button: the list opens and closes again.
    std::vector<INPUT> inputs = RealClick(ptButton);
    for (const INPUT& input : RealClick(ptButton))
        inputs.push_back(input);
    testsupport::SendInputs(inputs);
    testsupport::Pump(300);
    PumpUntil([&] { return !IsListShown(); });
    EXPECT_FALSE(IsListShown()) << "the second press left the list open";
    EXPECT_STREQ("False", pItem->GetValue()) << "the double click stepped the value";
    EXPECT_EQ(View().m_hWnd, ::GetFocus());
}
} // namespace
