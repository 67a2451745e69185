// Property grid items: typed values, constraints, expansion, in-place
// buttons and the notifications an item sends to the grid's owner.
// ctest: run-serial
#include "support/mouseinput.h"
#include "support/propertygrid_fixture.h"
#include "support/pump.h"

namespace
{
::testing::Environment* const s_env = ::testing::AddGlobalTestEnvironment(new testsupport::Environment());

class ItemTest : public testsupport::PropertyGridFixture
{
protected:
    CXTPPropertyGridItem* AddItem(CXTPPropertyGridItem* pItem, UINT nID = 0)
    {
        if (m_pCategory == NULL)
        {
            m_pCategory = m_grid.AddCategory("Category");
            m_pCategory->Expand();
        }
        m_pCategory->AddChildItem(pItem);
        pItem->SetID(nID);
        return pItem;
    }
    CXTPPropertyGridItem* AddGreekItem(LPCTSTR lpszValue = "Alpha")
    {
        CXTPPropertyGridItem* pItem = AddItem(new CXTPPropertyGridItem("Greek", lpszValue), 7);
        pItem->GetConstraints()->AddConstraint("Alpha");
        pItem->GetConstraints()->AddConstraint("Beta");
        pItem->GetConstraints()->AddConstraint("Bravo");
        return pItem;
    }

    CXTPPropertyGridItem* m_pCategory = NULL;
};

TEST(ItemValues, BoolAcceptsItsTrueTextInAnyCaseAndAnythingElseIsFalse)
{
    CXTPPropertyGridItemBool* pItem = new CXTPPropertyGridItemBool("Flag", FALSE);
    EXPECT_EQ((DWORD)(xtpPropertyGridItemEdit | xtpPropertyGridItemComboButton), pItem->GetFlags());
    EXPECT_EQ(2, pItem->GetConstraints()->GetCount());
    EXPECT_TRUE(pItem->GetConstraintEdit());

    pItem->SetValue("tRuE");
    EXPECT_TRUE(pItem->GetBool());
    EXPECT_STREQ("True", pItem->GetValue());
    pItem->SetValue("yes");
    EXPECT_FALSE(pItem->GetBool());
    EXPECT_STREQ("False", pItem->GetValue());

    BOOL bBound = TRUE;
    pItem->BindToBool(&bBound);
    EXPECT_FALSE(bBound);
    pItem->SetBool(TRUE);
    EXPECT_TRUE(bBound);
    pItem->InternalRelease();
}

TEST(ItemValues, NumberKeepsTheLeadingNumberOfItsText)
{
    long nBound = 0;
    CXTPPropertyGridItemNumber* pItem = new CXTPPropertyGridItemNumber("Count", 5, &nBound);
    EXPECT_EQ(5, nBound);
    EXPECT_STREQ("5", pItem->GetDefaultValue());

    pItem->SetValue("12abc");
    EXPECT_EQ(12, pItem->GetNumber());
    EXPECT_STREQ("12", pItem->GetValue());
    EXPECT_EQ(12, nBound);
    pItem->SetValue("abc");
    EXPECT_EQ(0, pItem->GetNumber());
    EXPECT_STREQ("0", pItem->GetValue());
    EXPECT_TRUE(pItem->IsValueChanged());
    pItem->InternalRelease();
}

TEST(ItemValues, PromptCaptionDescriptionPasswordAndRowHeights)
{
    CXTPPropertyGridItem* pItem = new CXTPPropertyGridItem("Caption\nWhat it does", "abc");
    EXPECT_STREQ("Caption", pItem->GetCaption());
    EXPECT_STREQ("What it does", pItem->GetDescription());
    pItem->SetPrompt("Other");
    EXPECT_STREQ("Other", pItem->GetCaption());
    EXPECT_STREQ("What it does", pItem->GetDescription());

    pItem->SetPasswordMask();
    EXPECT_STREQ("***", pItem->GetViewValue());
    pItem->SetValue("");
    EXPECT_STREQ("", pItem->GetViewValue());

    MEASUREITEMSTRUCT mis = {};
    mis.itemHeight = 18;
    pItem->SetMultiLinesCount(3);
    pItem->MeasureItem(&mis);
    EXPECT_EQ(46u, mis.itemHeight);
    mis.itemHeight = 18;
    pItem->SetHeight(30);
    pItem->MeasureItem(&mis);
    EXPECT_EQ(30u, mis.itemHeight);

    // An item outside any grid takes no children.
    CXTPPropertyGridItem* pChild = new CXTPPropertyGridItem("Child");
    EXPECT_EQ(pChild, pItem->AddChildItem(pChild));
    EXPECT_EQ(0, pItem->GetChilds()->GetCount());
    EXPECT_TRUE(pChild->GetParentItem() == NULL);
    pChild->InternalRelease();
    pItem->InternalRelease();
}

TEST(ItemValues, ConstraintsFindIgnoringCaseAndAnswerEmptyOutsideTheRange)
{
    CXTPPropertyGridItem* pItem = new CXTPPropertyGridItem("Greek", "x");
    CXTPPropertyGridItemConstraints* pConstraints = pItem->GetConstraints();
    pConstraints->AddConstraint("Gamma");
    pConstraints->AddConstraint("alpha", 42);
    EXPECT_EQ(1, pConstraints->FindConstraint("ALPHA"));
    EXPECT_EQ(1, pConstraints->FindConstraint((DWORD_PTR)42));
    EXPECT_EQ(-1, pConstraints->FindConstraint("Beta"));
    EXPECT_STREQ("", pConstraints->GetAt(5));
    pConstraints->Sort();
    EXPECT_STREQ("Gamma", pConstraints->GetAt(0));  // upper case sorts first
    EXPECT_EQ(1, pConstraints->GetConstraintAt(1)->GetIndex());
    pItem->InternalRelease();
}

TEST_F(ItemTest, SelectNextConstraintWrapsAndReportsEachChange)
{
    CXTPPropertyGridItem* pItem = AddGreekItem("Omega");
    EXPECT_TRUE(pItem->SelectNextConstraint());
    EXPECT_STREQ("Alpha", pItem->GetValue());  // no match selects the first
    pItem->SetValue("Bravo");
    EXPECT_TRUE(pItem->SelectNextConstraint());
    EXPECT_STREQ("Alpha", pItem->GetValue());  // the last wraps to the first
    EXPECT_EQ(0, pItem->GetConstraints()->GetCurrent());
    ASSERT_EQ(2u, CountNotes(XTP_PGN_ITEMVALUE_CHANGED));
    EXPECT_EQ(pItem, Notified(XTP_PGN_ITEMVALUE_CHANGED)[0]);
}

TEST_F(ItemTest, OwnerMayCancelOrRewriteAnEdit)
{
    CXTPPropertyGridItem* pItem = AddGreekItem("Alpha");
    m_host.m_handler = [](WPARAM nCode, LPARAM lParam) -> LRESULT {
        if (nCode == XTP_PGN_AFTEREDIT)
        {
            XTP_PROPERTYGRID_EDITREQUEST* pRequest = (XTP_PROPERTYGRID_EDITREQUEST*)lParam;
            if (pRequest->strValue == "Beta")
                pRequest->bCancel = TRUE;
            else
                pRequest->strValue = "Bravo";
        }
        return 0;
    };
    EXPECT_FALSE(pItem->SelectNextConstraint());  // Beta refused
    EXPECT_STREQ("Alpha", pItem->GetValue());
    pItem->SetValue("Beta");
    EXPECT_TRUE(pItem->SelectNextConstraint());  // Bravo asked, rewritten
    EXPECT_STREQ("Bravo", pItem->GetValue());
    EXPECT_EQ(1u, CountNotes(XTP_PGN_ITEMVALUE_CHANGED));
}

TEST_F(ItemTest, ExpandAndCollapseMoveRowsAndReport)
{
    CXTPPropertyGridItem* pParent = AddItem(new CXTPPropertyGridItem("Parent"));
    pParent->AddChildItem(new CXTPPropertyGridItem("Child 1"));
    pParent->AddChildItem(new CXTPPropertyGridItem("Child 2"));
    EXPECT_EQ(2, View().GetCount());
    ClearNotes();

    pParent->Expand();
    EXPECT_EQ(4, View().GetCount());
    EXPECT_STREQ("Child 2", View().GetItem(3)->GetCaption());
    EXPECT_EQ(2, pParent->GetChilds()->GetAt(0)->GetIndent());

    // Collapsing the parent of the selected row leaves no row selected.
    pParent->GetChilds()->GetAt(1)->Select();
    EXPECT_TRUE(IsEditShown());
    pParent->Collapse();
    EXPECT_EQ(2, View().GetCount());
    EXPECT_TRUE(m_grid.GetSelectedItem() == NULL);
    EXPECT_FALSE(IsEditShown());
    EXPECT_EQ(2u, CountNotes(XTP_PGN_ITEMEXPANDCHANGED));
}

TEST_F(ItemTest, ReadOnlyRebuildsTheEditorOfTheSelectedItem)
{
    CXTPPropertyGridItem* pItem = AddItem(new CXTPPropertyGridItem("Name", "Value"));
    pItem->Select();
    ASSERT_TRUE(IsEditShown());
    EXPECT_EQ(0u, m_grid.GetInplaceEdit().GetStyle() & ES_READONLY);
    pItem->SetReadOnly(TRUE);
    EXPECT_TRUE(IsEditShown());
    EXPECT_NE(0u, m_grid.GetInplaceEdit().GetStyle() & ES_READONLY);
}

TEST_F(ItemTest, ClickInTheValueGoesToTheEditNotToTheScreenPointer)
{
    CXTPPropertyGridItem* pItem = AddItem(new CXTPPropertyGridItem("Name", "Value"));
    ::SetCursorPos(5, 5);
    ClickView(ValuePoint(pItem));

    CXTPPropertyGridInplaceEdit& wndEdit = m_grid.GetInplaceEdit();
    ASSERT_TRUE(IsEditShown());
    EXPECT_EQ(wndEdit.m_hWnd, ::GetFocus());
    EXPECT_TRUE(::GetCapture() == NULL);
    POINT pt;
    ::GetCursorPos(&pt);
    EXPECT_EQ(5, pt.x);
    EXPECT_EQ(5, pt.y);
    // The press put the caret where it landed, near the start of the text.
    int nStart, nEnd;
    wndEdit.GetSel(nStart, nEnd);
    EXPECT_EQ(nStart, nEnd);
    EXPECT_LE(nStart, 2);
}

// A double click made with the pointer on the value of a row not yet
// selected flips the row at once, whether the view gets the first press
// while the button is still held or only after both clicks were made; a
// single click there selects the row and puts the caret in its value.
TEST_F(ItemTest, ARealDoubleClickOnTheValueOfARowNotYetSelectedFlipsIt)
{
    std::vector<CXTPPropertyGridItemBool*> flags;
    for (UINT i = 0; i < 3; i++)
        flags.push_back((CXTPPropertyGridItemBool*)AddItem(new CXTPPropertyGridItemBool("Flag", FALSE), 600 + i));
    ::SetForegroundWindow(m_host.m_hWnd);
    testsupport::Pump(50);
    using testsupport::MouseInput;
    const DWORD dwAt = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    auto At = [&](CXTPPropertyGridItem* pItem) {
        CPoint pt = ValuePoint(pItem);
        View().ClientToScreen(&pt);
        testsupport::SendInputs({MouseInput(dwAt, pt)});
        testsupport::Pump(50);
        return pt;
    };
    // One event, then what the program makes of it.
    auto Step = [&](DWORD dwButton, CPoint pt) {
        testsupport::SendInputs({MouseInput(dwAt | dwButton, pt)});
        testsupport::Pump(60);
    };

    CPoint pt = At(flags[0]);
    testsupport::SendInputs({MouseInput(dwAt | MOUSEEVENTF_LEFTDOWN, pt), MouseInput(dwAt | MOUSEEVENTF_LEFTUP, pt),
                             MouseInput(dwAt | MOUSEEVENTF_LEFTDOWN, pt), MouseInput(dwAt | MOUSEEVENTF_LEFTUP, pt)});
    testsupport::Pump(300);
    EXPECT_TRUE(flags[0]->IsSelected());
    EXPECT_TRUE(flags[0]->GetBool()) << "both clicks made before the view got the first";

    pt = At(flags[1]);
    Step(MOUSEEVENTF_LEFTDOWN, pt);
    Step(MOUSEEVENTF_LEFTUP, pt);
    Step(MOUSEEVENTF_LEFTDOWN, pt);
    Step(MOUSEEVENTF_LEFTUP, pt);
    testsupport::Pump(300);
    EXPECT_TRUE(flags[1]->IsSelected());
    EXPECT_TRUE(flags[1]->GetBool()) << "the first press got while the button was held";
    EXPECT_EQ(2u, CountNotes(XTP_PGN_ITEMVALUE_CHANGED));

    pt = At(flags[2]);
    Step(MOUSEEVENTF_LEFTDOWN, pt);
    Step(MOUSEEVENTF_LEFTUP, pt);
    testsupport::Pump(::GetDoubleClickTime() + 100);
    EXPECT_TRUE(flags[2]->IsSelected());
    EXPECT_FALSE(flags[2]->GetBool());
    EXPECT_EQ(m_grid.GetInplaceEdit().m_hWnd, ::GetFocus());
    EXPECT_TRUE(::GetCapture() == NULL);
    EXPECT_EQ(0, ::GetAsyncKeyState(VK_LBUTTON) & 0x8000) << "a press is left held";
    EXPECT_EQ(2u, CountNotes(XTP_PGN_ITEMVALUE_CHANGED));
}

TEST_F(ItemTest, DoubleClickOnABoolFlipsItAndReports)
{
    CXTPPropertyGridItemBool* pItem = (CXTPPropertyGridItemBool*)AddItem(new CXTPPropertyGridItemBool("Flag", FALSE), 503);
    DoubleClickView(CaptionPoint(pItem));
    EXPECT_TRUE(pItem->GetBool());
    std::vector<CXTPPropertyGridItem*> changed = Notified(XTP_PGN_ITEMVALUE_CHANGED);
    ASSERT_EQ(1u, changed.size());
    EXPECT_EQ(503u, changed[0]->GetID());
    EXPECT_EQ(1u, CountNotes(XTP_PGN_DBLCLICK));
    DoubleClickView(CaptionPoint(pItem));
    EXPECT_FALSE(pItem->GetBool());
}

TEST_F(ItemTest, ComboButtonOpensTheListUnlessTheOwnerHandledIt)
{
    CXTPPropertyGridItem* pItem = AddGreekItem();
    pItem->SetFlags(xtpPropertyGridItemEdit | xtpPropertyGridItemComboButton);
    CXTPPropertyGridInplaceButton* pButton = pItem->GetInplaceButtons()->Find(XTP_ID_PROPERTYGRID_COMBOBUTTON);
    ASSERT_TRUE(pButton != NULL);

    m_host.m_handler = [](WPARAM nCode, LPARAM) -> LRESULT { return nCode == XTP_PGN_INPLACEBUTTONDOWN ? 1 : 0; };
    pItem->OnInplaceButtonDown(pButton);
    EXPECT_EQ(1u, CountNotes(XTP_PGN_INPLACEBUTTONDOWN));
    EXPECT_FALSE(IsListShown());

    m_host.m_handler = nullptr;
    pItem->OnInplaceButtonDown(pButton);
    EXPECT_TRUE(IsListShown());
    EXPECT_EQ(3, m_grid.GetInplaceList().GetCount());
    m_grid.GetInplaceList().DestroyItem();

    // A read-only item presses nothing.
    ClearNotes();
    pItem->SetReadOnly(TRUE);
    pItem->OnInplaceButtonDown(pButton);
    EXPECT_EQ(0u, CountNotes(XTP_PGN_INPLACEBUTTONDOWN));
}

TEST_F(ItemTest, ButtonPressCountsOnlyWhenReleasedOverTheButton)
{
    CXTPPropertyGridItem* pItem = AddItem(new CXTPPropertyGridItem("File", "a.txt"));
    pItem->SetFlags(xtpPropertyGridItemEdit | xtpPropertyGridItemExpandButton);
    pItem->Select();
    m_grid.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    CXTPPropertyGridInplaceButton* pButton = pItem->GetInplaceButtons()->Find(XTP_ID_PROPERTYGRID_EXPANDBUTTON);
    ASSERT_TRUE(pButton != NULL);
    CRect rcButton = pButton->GetRect();
    ASSERT_FALSE(rcButton.IsRectEmpty());
    HWND hView = View().m_hWnd;

    // Released outside: no press.
    ::PostMessage(hView, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(rcButton.left - 40, rcButton.top + 2));
    ::PostMessage(hView, WM_LBUTTONUP, 0, MAKELPARAM(rcButton.left - 40, rcButton.top + 2));
    pButton->OnLButtonDown(MK_LBUTTON, rcButton.CenterPoint());
    EXPECT_EQ(0u, CountNotes(XTP_PGN_INPLACEBUTTONDOWN));
    EXPECT_FALSE(pButton->IsPressed());
    EXPECT_TRUE(::GetCapture() == NULL);

    // Released over it: the owner hears of it.
    ::PostMessage(hView, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(rcButton.CenterPoint().x, rcButton.CenterPoint().y));
    ::PostMessage(hView, WM_LBUTTONUP, 0, MAKELPARAM(rcButton.CenterPoint().x, rcButton.CenterPoint().y));
    pButton->OnLButtonDown(MK_LBUTTON, rcButton.CenterPoint());
    ASSERT_EQ(1u, CountNotes(XTP_PGN_INPLACEBUTTONDOWN));
    EXPECT_EQ((LPARAM)pButton, m_host.Notes(XTP_PGN_INPLACEBUTTONDOWN)[0]);
}

TEST_F(ItemTest, FirstClickOnTheButtonOfAnUnselectedItemOnlySelects)
{
    CXTPPropertyGridItem* pOther = AddItem(new CXTPPropertyGridItem("Other", "x"));
    CXTPPropertyGridItem* pItem = AddItem(new CXTPPropertyGridItem("File", "a.txt"));
    pItem->SetFlags(xtpPropertyGridItemEdit | xtpPropertyGridItemExpandButton);
    pItem->Select();
    m_grid.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    CPoint ptButton = pItem->GetInplaceButtons()->GetAt(0)->GetRect().CenterPoint();
    pOther->Select();
    ClickView(ptButton);
    EXPECT_TRUE(pItem->IsSelected());
    EXPECT_EQ(0u, CountNotes(XTP_PGN_INPLACEBUTTONDOWN));
}

TEST_F(ItemTest, ResetContentDetachesTheEditedItemAndKeepsBoundValues)
{
    CString strBound;
    CXTPPropertyGridItem* pItem = AddItem(new CXTPPropertyGridItem("Name", "first", &strBound));
    EXPECT_STREQ("first", strBound);
    pItem->Select();
    ASSERT_TRUE(IsEditShown());
    m_grid.GetInplaceEdit().SetWindowText("second");

    // The typed text is committed before the rows go, then nothing is left.
    m_grid.ResetContent();
    EXPECT_STREQ("second", strBound);
    EXPECT_FALSE(IsEditShown());
    EXPECT_TRUE(m_grid.GetInplaceEdit().GetItem() == NULL);
    EXPECT_EQ(0, View().GetCount());
    EXPECT_EQ(0, m_grid.GetCategories()->GetCount());
}

TEST_F(ItemTest, AccessibilityDescribesTheRow)
{
    CXTPPropertyGridItem* pItem = AddItem(new CXTPPropertyGridItem("Name\nThe name", "Value"));
    pItem->SetReadOnly(TRUE);
    VARIANT varSelf;
    varSelf.vt = VT_I4;
    varSelf.lVal = CHILDID_SELF;
    BSTR bstr = NULL;
    ASSERT_EQ(S_OK, pItem->GetAccessible()->get_accName(varSelf, &bstr));
    EXPECT_STREQ(L"Name", bstr);
    ::SysFreeString(bstr);
    ASSERT_EQ(S_OK, pItem->GetAccessible()->get_accValue(varSelf, &bstr));
    EXPECT_STREQ(L"Value", bstr);
    ::SysFreeString(bstr);
    VARIANT varState;
    ASSERT_EQ(S_OK, pItem->GetAccessible()->get_accState(varSelf, &varState));
    EXPECT_NE(0, varState.lVal & STATE_SYSTEM_READONLY);
    EXPECT_EQ(0, varState.lVal & STATE_SYSTEM_INVISIBLE);
    VARIANT varRole;
    ASSERT_EQ(S_OK, pItem->GetAccessible()->get_accRole(varSelf, &varRole));
    EXPECT_EQ(ROLE_SYSTEM_ROW, varRole.lVal);
    VARIANT varBad;
    varBad.vt = VT_I4;
    varBad.lVal = 3;
    EXPECT_EQ(E_INVALIDARG, pItem->GetAccessible()->get_accName(varBad, &bstr));
}
} // namespace
