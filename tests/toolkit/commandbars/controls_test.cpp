// The controls collection and its layouts: adding and removing, actions,
// building from menus, keyboard order, copies and comparison, popup columns
// and toolbar rows.
#include "support/commandbars_testframe.h"
#include "XTPControlAction.h"
#include "XTPControlButton.h"
#include "XTPControlPopup.h"
#include "XTPPopupBar.h"

using namespace cbtest;

namespace
{
// A control of a fixed size, so layouts are checked without fonts.
class SizedControl : public CXTPControlButton
{
public:
    explicit SizedControl(CSize sz = CSize(23, 22)) : m_sz(sz) {}
    CSize GetSize(CDC*) override { return m_sz; }
    CSize m_sz;
};

class ControlsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        PrepareTheme();
        m_nLive = LiveObjects();
        m_pBar = new CXTPCommandBar();
        m_pBar->m_barPosition = xtpBarTop;
        m_pControls = m_pBar->GetControls();
    }
    void TearDown() override
    {
        m_pBar->InternalRelease();
        PumpAndIdle();
        EXPECT_EQ(m_nLive, LiveObjects());
    }
    CXTPControl* AddSized(int nId, CSize sz = CSize(23, 22), BOOL bGroup = FALSE)
    {
        CXTPControl* pControl = m_pControls->Add(new SizedControl(sz), nId);
        pControl->SetBeginGroup(bGroup);
        return pControl;
    }
    CSize Row(int nLength, DWORD dwMode)
    {
        CClientDC dc(NULL);
        return m_pControls->CalcDynamicSize(&dc, nLength, dwMode, CRect(2, 2, 2, 2));
    }
    LONG m_nLive = 0;
    CXTPCommandBar* m_pBar = NULL;
    CXTPControls* m_pControls = NULL;
};
} // namespace

TEST_F(ControlsTest, IndexesParentsAndRemoval)
{
    CXTPControl* pA = m_pControls->Add(xtpControlButton, 1);
    CXTPControl* pC = m_pControls->Add(xtpControlButton, 3);
    CXTPControl* pB = m_pControls->Add(xtpControlButton, 2, NULL, 1);
    CXTPControl* pEnd = m_pControls->Add(xtpControlButton, 4, NULL, 99);
    EXPECT_EQ(0, pA->GetIndex());
    EXPECT_EQ(1, pB->GetIndex());
    EXPECT_EQ(2, pC->GetIndex());
    EXPECT_EQ(3, pEnd->GetIndex()) << "an index out of range appends";
    EXPECT_EQ(m_pBar, pB->GetParent());
    EXPECT_EQ(NULL, m_pControls->GetAt(4));
    EXPECT_EQ(NULL, m_pControls->GetAt(-1));
    m_pControls->RemoveAt(1);
    m_pControls->RemoveAt(17);
    EXPECT_EQ(3, m_pControls->GetCount());
    EXPECT_EQ(1, pC->GetIndex());
    EXPECT_EQ(pC, m_pControls->FindControl(3));
    m_pControls->RemoveAll();
    EXPECT_EQ(0, m_pControls->GetCount());
}

TEST_F(ControlsTest, ActionsAreBoundOutsideTheReservedIds)
{
    CXTPCommandBars* pCommandBars = new CXTPCommandBars();
    pCommandBars->EnableActions();
    m_pBar->SetCommandBars(pCommandBars);
    CXTPControl* pSave = m_pControls->Add(xtpControlButton, ID_SAVE_PUZZLE);
    CXTPControl* pExpand = m_pControls->Add(xtpControlButton, XTP_ID_POPUPBAR_EXPAND);
    CXTPControl* pWindows = m_pControls->Add(xtpControlButton, XTP_ID_WINDOWLIST);
    ASSERT_NE(nullptr, pSave->GetAction());
    EXPECT_EQ(ID_SAVE_PUZZLE, pSave->GetAction()->GetID());
    EXPECT_EQ(NULL, pExpand->GetAction()) << "ids 9100-9299 never get an action";
    EXPECT_EQ(NULL, pWindows->GetAction());
    CXTPControl* pAgain = m_pControls->Add(xtpControlButton, ID_SAVE_PUZZLE);
    EXPECT_EQ(pSave->GetAction(), pAgain->GetAction());
    m_pControls->RemoveAll();
    m_pBar->SetCommandBars(NULL);
    pCommandBars->InternalRelease();
}

TEST_F(ControlsTest, BuildingFromMenus)
{
    CMenu menu;
    menu.CreatePopupMenu();
    menu.AppendMenu(MF_STRING, 0xFF00, _T("skipped"));
    menu.AppendMenu(MF_STRING, XTP_ID_OLE_VERBS, _T("<<OLE VERBS GO HERE>>"));
    menu.AppendMenu(MF_STRING, XTP_ID_OLE_VERBS, _T("Verbs"));
    menu.AppendMenu(MF_SEPARATOR);
    CMenu sub;
    sub.CreatePopupMenu();
    sub.AppendMenu(MF_STRING, ID_BRANCH_BEGIN, _T("Branch"));
    menu.AppendMenu(MF_POPUP, (UINT_PTR)sub.Detach(), _T("&More\t2099"));
    menu.AppendMenu(MF_STRING, ID_UNDO_MOVE, _T("&Undo\tCtrl+Z"));
    ::SetMenuDefaultItem(menu.GetSafeHmenu(), 5, TRUE);

    EXPECT_EQ(NULL, m_pControls->AddMenuItem(&menu, 0)) << "id 0xFF00 makes no control";
    ASSERT_TRUE(m_pBar->LoadMenu(&menu));
    ASSERT_EQ(4, m_pControls->GetCount());
    EXPECT_STREQ("<<OLE VERBS GO HERE>>", m_pControls->GetAt(0)->GetCaption());
    EXPECT_TRUE(m_pControls->GetAt(1)->IsKindOf(RUNTIME_CLASS(CXTPControlButton)));
    CXTPControl* pMore = m_pControls->GetAt(2);
    EXPECT_EQ(xtpControlPopup, pMore->GetType());
    EXPECT_EQ(2099, pMore->GetID()) << "a submenu caption's tab carries the popup's id";
    EXPECT_STREQ("&More", pMore->GetCaption());
    EXPECT_TRUE(pMore->GetBeginGroup());
    ASSERT_NE(nullptr, pMore->GetCommandBar());
    EXPECT_EQ(ID_BRANCH_BEGIN, pMore->GetCommandBar()->GetControl(0)->GetID());
    CXTPControl* pUndo = m_pControls->GetAt(3);
    EXPECT_STREQ("&Undo", pUndo->GetCaption());
    EXPECT_STREQ("Ctrl+Z", pUndo->GetShortcutText());
    EXPECT_TRUE(pUndo->IsItemDefault());
}

TEST_F(ControlsTest, KeyboardOrderWrapsOnce)
{
    CXTPControl* pA = m_pControls->Add(xtpControlButton, 1);
    CXTPControl* pB = m_pControls->Add(xtpControlButton, 2);
    CXTPControl* pC = m_pControls->Add(xtpControlButton, 3);
    EXPECT_EQ(0, m_pControls->GetNext(-1, +1));
    EXPECT_EQ(2, m_pControls->GetNext(-1, -1));
    EXPECT_EQ(0, m_pControls->GetNext(2, +1)) << "wraps round";
    pB->SetFlags(xtpFlagSkipFocus);
    EXPECT_EQ(2, m_pControls->GetNext(0, +1));
    EXPECT_EQ(1, m_pControls->GetNext(0, +1, FALSE)) << "only the keyboard skips it";
    pC->SetVisible(FALSE);
    EXPECT_EQ(0, m_pControls->GetNext(0, +1)) << "coming back to the start returns the start";
    pC->SetHideFlags(xtpHideScroll);
    EXPECT_EQ(2, m_pControls->GetNext(0, +1)) << "scrolled out of view still counts";
    pC->SetHideFlags(xtpHideExpand);
    EXPECT_EQ(0, m_pControls->GetNext(0, +1));
    EXPECT_EQ(2, m_pControls->GetNext(0, +1, TRUE, FALSE, FALSE));
    pA->SetVisible(FALSE);
    pC->SetVisible(FALSE);
    pB->SetVisible(FALSE);
    EXPECT_EQ(-1, m_pControls->GetNext(-1, +1)) << "nothing visible";
}

TEST_F(ControlsTest, DuplicatesSkipTemporaryControlsAndCompare)
{
    m_pControls->Add(xtpControlButton, 1);
    m_pControls->Add(xtpControlPopup, 2);
    m_pControls->Add(xtpControlButton, 3, NULL, -1, TRUE);
    EXPECT_FALSE(m_pControls->IsChanged()) << "no originals: unchanged";
    m_pControls->CreateOriginalControls();
    EXPECT_EQ(2, m_pControls->GetOriginalControls()->GetCount());
    EXPECT_FALSE(m_pControls->IsChanged());
    m_pControls->GetAt(0)->SetCaption(_T("Renamed"));
    EXPECT_TRUE(m_pControls->IsChanged());
    m_pControls->GetAt(0)->SetCaption(_T(""));
    m_pControls->Add(xtpControlButton, 4, NULL, -1, TRUE);
    EXPECT_FALSE(m_pControls->IsChanged()) << "temporary controls do not count";
}

TEST_F(ControlsTest, ADeepCopyCopiesABarThatSeveralPopupsOpenOnceAndKeepsItShared)
{
    // A chain of 30 bars in which every bar opens the next one through two
    // popups: copying every path would make 2^29 bars, copying every bar
    // once makes 30.
    CXTPControls* pControls = m_pControls;
    for (int nLevel = 0; nLevel < 30; nLevel++)
    {
        CXTPPopupBar* pNext = CXTPPopupBar::CreatePopupBar(NULL);
        pNext->GetControls()->Add(xtpControlButton, 100 + nLevel);
        for (int i = 0; i < (nLevel == 0 ? 1 : 2); i++)
            ((CXTPControlPopup*)pControls->Add(xtpControlPopup, 0))->SetCommandBar(pNext);
        pNext->InternalRelease();
        pControls = pNext->GetControls();
    }
    CXTPControls* pCopy = m_pControls->Duplicate(TRUE);
    // Each bar holds its button, then the two popups that open the next bar.
    CXTPControls* pOriginalLevel = m_pControls;
    CXTPControls* pCopiedLevel = pCopy;
    for (int nLevel = 0; nLevel < 30; nLevel++)
    {
        ASSERT_EQ(pOriginalLevel->GetCount(), pCopiedLevel->GetCount()) << "level " << nLevel;
        int nFirstPopup = nLevel == 0 ? 0 : 1;
        CXTPCommandBar* pBar = pCopiedLevel->GetAt(nFirstPopup)->GetCommandBar();
        ASSERT_TRUE(pBar != NULL) << "level " << nLevel;
        EXPECT_NE(pOriginalLevel->GetAt(nFirstPopup)->GetCommandBar(), pBar) << "a copy, not the original";
        if (nLevel > 0)
        {
            EXPECT_EQ(pBar, pCopiedLevel->GetAt(2)->GetCommandBar()) << "shared as in the original";
        }
        EXPECT_EQ(100 + nLevel, pBar->GetControls()->GetAt(0)->GetID());
        pOriginalLevel = pOriginalLevel->GetAt(nFirstPopup)->GetCommandBar()->GetControls();
        pCopiedLevel = pBar->GetControls();
    }
    EXPECT_TRUE(pCopy->Compare(m_pControls)) << "the copy compares equal";
    pCopiedLevel->GetAt(0)->SetCaption(_T("Changed"));
    EXPECT_FALSE(pCopy->Compare(m_pControls)) << "a change at the deepest level is seen";
    pCopy->InternalRelease();
}

TEST_F(ControlsTest, TwoButtonsOfOneBarThatOpenTheSameBarShareOneCopy)
{
    CXTPPopupBar* pShared = CXTPPopupBar::CreatePopupBar(NULL);
    pShared->GetControls()->Add(xtpControlButton, 7);
    CXTPPopupBar* pInner = CXTPPopupBar::CreatePopupBar(NULL);
    pInner->GetControls()->Add(xtpControlButton, 8);
    ((CXTPControlPopup*)pShared->GetControls()->Add(xtpControlPopup, 0))->SetCommandBar(pInner);
    pInner->InternalRelease();
    ((CXTPControlPopup*)m_pControls->Add(xtpControlPopup, 1))->SetCommandBar(pShared);
    m_pControls->Add(xtpControlButton, 2);
    ((CXTPControlPopup*)m_pControls->Add(xtpControlPopup, 3))->SetCommandBar(pShared);
    pShared->InternalRelease();

    CXTPControls* pCopy = m_pControls->Duplicate(TRUE);
    ASSERT_EQ(3, pCopy->GetCount());
    CXTPCommandBar* pCopied = pCopy->GetAt(0)->GetCommandBar();
    ASSERT_TRUE(pCopied != NULL);
    EXPECT_NE(pShared, pCopied) << "a copy, not the original";
    EXPECT_EQ(pCopied, pCopy->GetAt(2)->GetCommandBar()) << "both buttons open the one copy";
    EXPECT_NE(pInner, pCopied->GetControls()->GetAt(1)->GetCommandBar());
    EXPECT_TRUE(pCopy->Compare(m_pControls));
    EXPECT_TRUE(m_pControls->Compare(pCopy));

    // The originals share one bar the same way, and carry no originals.
    m_pControls->CreateOriginalControls();
    m_pControls->CreateOriginalControls();
    CXTPControls* pOriginal = m_pControls->GetOriginalControls();
    EXPECT_TRUE(pOriginal->GetOriginalControls() == NULL);
    EXPECT_EQ(pOriginal->GetAt(0)->GetCommandBar(), pOriginal->GetAt(2)->GetCommandBar());
    EXPECT_FALSE(m_pControls->IsChanged());

    // A change inside the shared bar is seen through either button; so is a
    // second button that opens a bar of other contents.
    CXTPControl* pDeep = pCopied->GetControls()->GetAt(1)->GetCommandBar()->GetControls()->GetAt(0);
    const CString strCaption = pDeep->GetCaption();
    pDeep->SetCaption(_T("Changed"));
    EXPECT_FALSE(pCopy->Compare(m_pControls));
    pDeep->SetCaption(strCaption);
    EXPECT_TRUE(pCopy->Compare(m_pControls));
    CXTPPopupBar* pOther = CXTPPopupBar::CreatePopupBar(NULL);
    pOther->GetControls()->Add(xtpControlButton, 9);
    ((CXTPControlPopup*)pCopy->GetAt(2))->SetCommandBar(pOther);
    pOther->InternalRelease();
    EXPECT_FALSE(pCopy->Compare(m_pControls)) << "the first button's bar compared equal must not hide it";
    EXPECT_FALSE(m_pControls->Compare(pCopy));
    pCopy->InternalRelease();
}

TEST_F(ControlsTest, ChangingTheKind)
{
    CXTPControl* pPopup = m_pControls->Add(xtpControlPopup, 10);
    CXTPControl* pButton = m_pControls->Add(xtpControlButton, 11);
    pButton->SetCaption(_T("Kept"));
    EXPECT_EQ(pPopup, m_pControls->SetControlType(pPopup, xtpControlSplitButtonPopup)) << "same object";
    EXPECT_EQ(xtpControlSplitButtonPopup, pPopup->GetType());
    CXTPControl* pNew = m_pControls->SetControlType(1, xtpControlPopup);
    ASSERT_NE(nullptr, pNew);
    EXPECT_NE(pButton, pNew);
    EXPECT_EQ(1, pNew->GetIndex()) << "in the old one's place";
    EXPECT_EQ(2, m_pControls->GetCount());
    EXPECT_STREQ("Kept", pNew->GetCaption());
    EXPECT_TRUE(pNew->IsKindOf(RUNTIME_CLASS(CXTPControlPopup)));
}

TEST_F(ControlsTest, PopupColumns)
{
    CClientDC dc(NULL);
    CRect rcBorders(3, 3, 3, 3);
    m_pBar->m_barType = xtpBarTypePopup;
    CSize szEmpty = m_pControls->CalcPopupSize(&dc, 0, rcBorders);
    EXPECT_EQ(CSize(24 + 6, 22 + 6), szEmpty) << "an empty popup";

    CRect rcWork;
    ::SystemParametersInfo(SPI_GETWORKAREA, 0, &rcWork, 0);
    CXTPControl* pWide = AddSized(1, CSize(rcWork.Width(), 20));
    CXTPControl* pSecond = AddSized(2, CSize(50, 20), TRUE);
    CXTPControl* pColumn = AddSized(3, CSize(60, 20));
    pColumn->SetFlags(xtpFlagWrapRow);
    CSize sz = m_pControls->CalcPopupSize(&dc, 0, rcBorders);
    EXPECT_EQ(rcWork.Width() / 3, pWide->GetRect().Width()) << "a third of the work area at most";
    EXPECT_EQ(pWide->GetRect().Width(), pSecond->GetRect().Width()) << "a column is as wide as its widest";
    CSize szSeparator = CXTPPaintManager::GetGlobalPaintManager()->DrawCommandBarSeparator(NULL, m_pBar, NULL, FALSE);
    EXPECT_EQ(pWide->GetRect().bottom + szSeparator.cy, pSecond->GetRect().top) << "the group gap";
    EXPECT_TRUE(pColumn->GetWrap());
    EXPECT_EQ(3, pColumn->GetRect().top) << "a forced new column";
    EXPECT_EQ(pWide->GetRect().right, pColumn->GetRect().left);
    EXPECT_EQ(pSecond->GetRect().bottom + 3, sz.cy);
    EXPECT_EQ(pColumn->GetRect().right + 3, sz.cx);
    EXPECT_EQ(pSecond->GetRect().bottom, pColumn->GetRowRect().bottom) << "rows span all columns";

    // A maximum height breaks columns too.
    pColumn->SetFlags(0);
    m_pControls->CalcPopupSize(&dc, 3 + 20 + 3, rcBorders);
    EXPECT_TRUE(pSecond->GetWrap());
    EXPECT_EQ(3, pSecond->GetRect().top);
}

TEST_F(ControlsTest, ToolbarRowsWrapBreakAtGroupsAndHide)
{
    CXTPControl* p1 = AddSized(1);
    CXTPControl* p2 = AddSized(2);
    CXTPControl* p3 = AddSized(3, CSize(23, 22), TRUE);
    CXTPControl* p4 = AddSized(4);
    CSize szSeparator = CXTPPaintManager::GetGlobalPaintManager()->DrawCommandBarSeparator(NULL, m_pBar, NULL, FALSE);

    CSize sz = Row(1000, LM_HORZ | LM_HORZDOCK | LM_COMMIT);
    EXPECT_EQ(4 * 23 + szSeparator.cx + 4, sz.cx);
    EXPECT_EQ(22 + 4, sz.cy);
    EXPECT_EQ(CRect(2, 2, 25, 24), p1->GetRect());
    EXPECT_EQ(p2->GetRect().right + szSeparator.cx, p3->GetRect().left);

    // Not room for the fourth: the row breaks before the group's first control.
    sz = Row(3 * 23 + szSeparator.cx + 4, LM_HORZ | LM_HORZDOCK | LM_COMMIT);
    EXPECT_TRUE(p3->GetWrap());
    EXPECT_EQ(2, p3->GetRect().left);
    EXPECT_EQ(2 + 22 + szSeparator.cy, p3->GetRect().top) << "a row that begins a group keeps the gap";
    EXPECT_EQ(2 * 22 + szSeparator.cy + 4, sz.cy);

    // Hiding instead of wrapping marks what does not fit with hide flag 2.
    Row(2 * 23 + 4, LM_HORZ | LM_HORZDOCK | LM_COMMIT | LM_HIDEWRAP);
    EXPECT_EQ(0u, p2->GetHideFlags());
    EXPECT_EQ((DWORD)xtpHideWrap, p3->GetHideFlags());
    EXPECT_EQ((DWORD)xtpHideWrap, p4->GetHideFlags());
    Row(1000, LM_HORZ | LM_HORZDOCK | LM_COMMIT | LM_HIDEWRAP);
    EXPECT_EQ(0u, p4->GetHideFlags()) << "room again: shown again";
    (void)p1;
}

TEST_F(ControlsTest, ToolbarRowsRightAlignStretchAndMinimum)
{
    CXTPControl* p1 = AddSized(1);
    CXTPControl* pStretch = AddSized(2);
    CXTPControl* pRight = AddSized(3);
    pStretch->SetFlags(xtpFlagControlStretched);
    pRight->SetFlags(xtpFlagRightAlign);
    CSize sz = Row(200, LM_HORZ | LM_HORZDOCK | LM_COMMIT | LM_STRETCH);
    EXPECT_EQ(200, sz.cx) << "stretched to the length";
    EXPECT_EQ(200 - 2, pRight->GetRect().right) << "right-aligned at the row's end";
    EXPECT_EQ(pRight->GetRect().left, pStretch->GetRect().right) << "the stretched one fills up to it";
    EXPECT_EQ(2, p1->GetRect().left);

    // No visible control: 23 x 22, grown to the minimum across.
    m_pControls->RemoveAll();
    CClientDC dc(NULL);
    CSize szEmpty = m_pControls->CalcDynamicSize(&dc, 100, LM_HORZ | LM_HORZDOCK, CRect(2, 2, 2, 2), 30);
    EXPECT_EQ(CSize(23 + 4, 30 + 4), szEmpty);
}

TEST_F(ControlsTest, VerticalColumnsRunRightToLeft)
{
    CXTPControl* p1 = AddSized(1);
    CXTPControl* p2 = AddSized(2);
    CClientDC dc(NULL);
    m_pControls->CalcDynamicSize(&dc, 22 + 4, LM_VERTDOCK | LM_COMMIT, CRect(2, 2, 2, 2));
    EXPECT_TRUE(p2->GetWrap());
    EXPECT_GT(p1->GetRect().left, p2->GetRect().left) << "the first column is at the right";
}
