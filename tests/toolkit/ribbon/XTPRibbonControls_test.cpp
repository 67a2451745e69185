// The ribbon's tab strip and popups on a shown frame: the tab popup of a
// minimised ribbon, the popup of a reduced group, keyboard moves from the
// tab strip, the strip's accessibility, and snapshots of the ribbon as the
// frame narrows.
// ctest: run-serial
#include "ribbon_testframe.h"

#include "XTPPopupBar.h"
#include "resource.h"

using namespace ribbontest;

namespace
{
// Lets what is queued be handled.
void Settle()
{
    for (int i = 0; i < 10; i++)
    {
        PumpAndIdle();
        ::Sleep(10);
    }
}

class RibbonControlsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_nLive = LiveObjects();
        m_pFrame = new CRibbonFrame();
        ASSERT_TRUE(m_pFrame->CreateRibbonFrame(CRect(20, 20, 840, 420), TRUE));
        m_pFrame->SetForegroundWindow();
        m_pRibbon = m_pFrame->GetRibbon();
        m_pFrame->BuildSample();
    }
    void TearDown() override
    {
        XTPMouseManager()->CloseAllTracked();
        m_pFrame->DestroyRibbonFrame();
        PumpAndIdle();
        EXPECT_EQ(m_nLive, LiveObjects());
    }
    void Resize(int cx, int cy)
    {
        m_pFrame->SetWindowPos(NULL, 0, 0, cx, cy, SWP_NOMOVE | SWP_NOZORDER);
        m_pFrame->Settle();
        m_pFrame->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        PumpAndIdle();
    }
    CXTPPopupBar* OpenPopup() const
    {
        const CXTPMouseManager::CTrackArray& arr = XTPMouseManager()->GetTrackArray();
        for (INT_PTR i = arr.GetSize() - 1; i >= 0; i--)
        {
            CXTPPopupBar* pPopup = dynamic_cast<CXTPPopupBar*>(arr[i]);
            if (pPopup != NULL)
                return pPopup;
        }
        return NULL;
    }
    CRibbonFrame* m_pFrame = NULL;
    CXTPRibbonBar* m_pRibbon = NULL;
    LONG m_nLive = 0;
};
} // namespace

TEST_F(RibbonControlsTest, TheFullRibbonWithItsContextualPair)
{
    Resize(820, 400);
    ASSERT_EQ(1, m_pRibbon->GetContextHeaders()->GetCount());
    // Nothing is reduced at this width.
    CXTPRibbonGroups* pGroups = m_pRibbon->GetTab(0)->GetGroups();
    for (int i = 0; i < pGroups->GetCount(); i++)
        EXPECT_FALSE(pGroups->GetAt(i)->IsReduced()) << i;
    EXPECT_TRUE(SaveScreenPicture(m_pFrame->m_hWnd, "ribbon_home"));
    m_pRibbon->SetCurSel(3);
    m_pFrame->Settle();
    m_pRibbon->RedrawWindow();
    EXPECT_TRUE(SaveScreenPicture(m_pFrame->m_hWnd, "ribbon_contextual_tab"));
}

TEST_F(RibbonControlsTest, NarrowingTheFrameReducesTheGroupsThenScrolls)
{
    CXTPRibbonGroups* pGroups = m_pRibbon->GetTab(0)->GetGroups();
    Resize(470, 400);
    int nSmaller = 0;
    for (int i = 0; i < pGroups->GetCount(); i++)
        nSmaller += pGroups->GetAt(i)->GetReduceLevel() > 0 ? 1 : 0;
    EXPECT_GT(nSmaller, 0);
    EXPECT_TRUE(SaveScreenPicture(m_pFrame->m_hWnd, "ribbon_narrowed"));

    // On the Insert tab (captions only) narrower until groups stand as
    // single buttons.
    m_pRibbon->SetCurSel(1);
    pGroups = m_pRibbon->GetTab(1)->GetGroups();
    int nReduced = 0;
    for (int cx = 440; cx >= 260 && nReduced == 0; cx -= 10)
    {
        Resize(cx, 400);
        for (int i = 0; i < pGroups->GetCount(); i++)
            nReduced += pGroups->GetAt(i)->IsReduced() ? 1 : 0;
    }
    EXPECT_GT(nReduced, 0);
    EXPECT_TRUE(SaveScreenPicture(m_pFrame->m_hWnd, "ribbon_reduced"));

    // A reduced group's button opens the group in a popup.
    CXTPRibbonGroup* pGroup = NULL;
    for (int i = 0; i < pGroups->GetCount() && pGroup == NULL; i++)
        if (pGroups->GetAt(i)->IsReduced())
            pGroup = pGroups->GetAt(i);
    ASSERT_TRUE(pGroup != NULL);
    CXTPControl* pButton = pGroup->GetControlGroupPopup();
    ASSERT_TRUE(pButton->IsVisible());
    m_pRibbon->SetTrackingMode(TRUE, FALSE);
    m_pRibbon->SetPopuped(pButton->GetIndex());
    PumpAndIdle();
    CXTPPopupBar* pPopup = OpenPopup();
    ASSERT_TRUE(pPopup != NULL);
    CXTPRibbonGroupPopupToolBar* pGroupPopup = DYNAMIC_DOWNCAST(CXTPRibbonGroupPopupToolBar, pPopup);
    ASSERT_TRUE(pGroupPopup != NULL);
    EXPECT_EQ(pGroup->GetCount(), pGroupPopup->GetGroup()->GetCount());
    EXPECT_TRUE(pGroupPopup->IsWindowVisible());
    pGroupPopup->RedrawWindow();
    PumpAndIdle();
    EXPECT_TRUE(SaveScreenPicture(m_pFrame->m_hWnd, "ribbon_group_popup"));
    XTPMouseManager()->CloseAllTracked();
    PumpAndIdle();

    // More groups than even their buttons fit: the groups area scrolls.
    for (int i = 0; i < 4; i++)
    {
        CString strCaption;
        strCaption.Format(_T("Extra %d"), i + 1);
        m_pRibbon->GetTab(1)->AddGroup(strCaption, 60 + i)->Add(xtpControlButton, 2080 + i, strCaption);
    }
    Resize(260, 400);
    EXPECT_TRUE(m_pRibbon->GetScrollRight()->IsVisible() || m_pRibbon->GetScrollLeft()->IsVisible());
    EXPECT_TRUE(SaveScreenPicture(m_pFrame->m_hWnd, "ribbon_scrolling"));
}

TEST_F(RibbonControlsTest, AMinimisedRibbonOpensATabsGroupsInAPopup)
{
    m_pRibbon->SetMinimized(TRUE);
    m_pFrame->Settle();
    EXPECT_EQ(NULL, m_pRibbon->GetSelectedTab());
    CXTPRibbonTab* pInsert = m_pRibbon->GetTab(1);
    CPoint pt = pInsert->GetRect().CenterPoint();
    m_pRibbon->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    m_pRibbon->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    PumpAndIdle();
    EXPECT_EQ(pInsert, m_pRibbon->GetSelectedTab());
    CXTPPopupBar* pPopup = OpenPopup();
    ASSERT_TRUE(pPopup != NULL);
    CXTPRibbonTabPopupToolBar* pTabPopup = DYNAMIC_DOWNCAST(CXTPRibbonTabPopupToolBar, pPopup);
    ASSERT_TRUE(pTabPopup != NULL);
    EXPECT_TRUE(pTabPopup->IsWindowVisible());
    CRect rcPopup, rcRibbon;
    pTabPopup->GetWindowRect(&rcPopup);
    m_pRibbon->GetWindowRect(&rcRibbon);
    EXPECT_EQ(rcRibbon.left, rcPopup.left);
    EXPECT_EQ(m_pRibbon->CalcGroupsHeight(), rcPopup.Height());
    EXPECT_EQ(4, pTabPopup->GetShownTab()->GetGroups()->GetCount());
    pTabPopup->RedrawWindow();
    PumpAndIdle();
    EXPECT_TRUE(SaveScreenPicture(m_pFrame->m_hWnd, "ribbon_minimized_popup"));

    // Closing the popup leaves no tab selected.
    m_pFrame->GetCommandBars()->ClosePopups();
    PumpAndIdle();
    EXPECT_EQ(NULL, m_pRibbon->GetSelectedTab());
    EXPECT_TRUE(m_pRibbon->IsMinimized());

    // Not minimised: the tab strip opens no popup.
    m_pRibbon->SetMinimized(FALSE);
    EXPECT_FALSE(m_pRibbon->GetControlTab()->OnSetPopup(TRUE));
}

TEST_F(RibbonControlsTest, UpAndDownLeaveTheFocusedTabStrip)
{
    CXTPRibbonControlTab* pTabs = m_pRibbon->GetControlTab();
    m_pRibbon->SetTrackingMode(TRUE, FALSE, TRUE);
    m_pRibbon->SetSelected(pTabs->GetIndex(), 2);
    ASSERT_TRUE(pTabs->IsFocused());
    EXPECT_TRUE(pTabs->OnHookKeyDown(VK_RIGHT, 0));
    EXPECT_EQ(m_pRibbon->GetTab(1), m_pRibbon->GetSelectedTab());
    EXPECT_TRUE(pTabs->OnHookKeyDown(VK_LEFT, 0));
    EXPECT_EQ(m_pRibbon->GetTab(0), m_pRibbon->GetSelectedTab());

    EXPECT_TRUE(pTabs->OnHookKeyDown(VK_DOWN, 0));
    int nDown = m_pRibbon->GetSelected();
    EXPECT_GT(nDown, pTabs->GetIndex());

    m_pRibbon->SetSelected(pTabs->GetIndex(), 2);
    pTabs->SetFocused(TRUE);
    EXPECT_TRUE(pTabs->OnHookKeyDown(VK_UP, 0));
    EXPECT_EQ(m_pRibbon->GetControls()->GetNext(-1, +1), m_pRibbon->GetSelected());
    m_pRibbon->SetTrackingMode(FALSE);
    EXPECT_FALSE(pTabs->OnHookKeyDown(VK_LEFT, 0));
}

TEST_F(RibbonControlsTest, TheTabStripAnswersAccessibility)
{
    CXTPRibbonControlTab* pTabs = m_pRibbon->GetControlTab();
    long nCount = 0;
    EXPECT_EQ(S_OK, pTabs->GetAccessibleChildCount(&nCount));
    EXPECT_EQ(5, nCount);
    VARIANT var;
    var.vt = VT_I4;
    var.lVal = 1;
    BSTR bstr = NULL;
    ASSERT_EQ(S_OK, pTabs->GetAccessibleName(var, &bstr));
    EXPECT_EQ(CString("Home"), CString(bstr));
    ::SysFreeString(bstr);
    VARIANT role;
    pTabs->GetAccessibleRole(var, &role);
    EXPECT_EQ(ROLE_SYSTEM_PAGETAB, role.lVal);
    VARIANT state;
    pTabs->GetAccessibleState(var, &state);
    EXPECT_EQ(0x300006, state.lVal);
    var.lVal = 2;
    pTabs->GetAccessibleState(var, &state);
    EXPECT_EQ(0x300000, state.lVal);
    EXPECT_EQ(S_OK, pTabs->AccessibleDoDefaultAction(var));
    EXPECT_EQ(m_pRibbon->GetTab(1), m_pRibbon->GetSelectedTab());
    var.lVal = 99;
    EXPECT_EQ(E_INVALIDARG, pTabs->GetAccessibleName(var, &bstr));
    var.lVal = 0;
    pTabs->GetAccessibleRole(var, &role);
    EXPECT_EQ(ROLE_SYSTEM_PAGETABLIST, role.lVal);
    EXPECT_EQ(E_INVALIDARG, pTabs->GetAccessibleChildCount(NULL));
}

TEST_F(RibbonControlsTest, NoGdiOrUserGrowthOverPopups)
{
    m_pRibbon->SetMinimized(TRUE);
    m_pFrame->Settle();
    CPoint pt = m_pRibbon->GetTab(0)->GetRect().CenterPoint();
    for (int i = 0; i < 3; i++)
    {
        m_pRibbon->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
        PumpAndIdle();
        m_pFrame->GetCommandBars()->ClosePopups();
        PumpAndIdle();
    }
    DWORD dwGdi = GdiMark();
    int nWindows = WindowCount();
    for (int i = 0; i < 30; i++)
    {
        CPoint ptTab = m_pRibbon->GetTab(i % 3)->GetRect().CenterPoint();
        m_pRibbon->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptTab.x, ptTab.y));
        PumpAndIdle();
        m_pFrame->GetCommandBars()->ClosePopups();
        PumpAndIdle();
    }
    EXPECT_LE(GdiMark(), dwGdi + 2);
    EXPECT_EQ(nWindows, WindowCount());
}

TEST_F(RibbonControlsTest, AltWithATabsLetterSelectsTheTabFromTheKeyboard)
{
    m_pFrame->SetForegroundWindow();
    m_pFrame->SetActiveWindow();
    m_pFrame->SetFocus();
    Settle();
    ASSERT_EQ(m_pFrame->m_hWnd, ::GetForegroundWindow());
    // Alt+V as the frame's message loop meets it.
    MSG msg = {};
    msg.hwnd = m_pFrame->m_hWnd;
    msg.message = WM_SYSKEYDOWN;
    msg.wParam = 'V';
    msg.lParam = 0x20000001 | ((LPARAM)::MapVirtualKey('V', 0) << 16);
    EXPECT_TRUE(m_pFrame->GetCommandBars()->PreTranslateFrameMessage(&msg));
    EXPECT_EQ(m_pRibbon->GetTab(2), m_pRibbon->GetSelectedTab());
    EXPECT_TRUE(m_pRibbon->IsTrackingMode());
    m_pRibbon->SetTrackingMode(FALSE);
    Settle();
}

namespace
{
HWND s_hWndRelease = NULL;
void CALLBACK ReleaseButton(HWND, UINT, UINT_PTR nIDEvent, DWORD)
{
    ::KillTimer(NULL, nIDEvent);
    ::PostMessage(s_hWndRelease, WM_LBUTTONUP, 0, 0);
}
} // namespace

TEST_F(RibbonControlsTest, HoldingAScrollButtonRepeatsUntilItIsReleased)
{
    // Many groups of caption-only buttons at a narrow width: the area scrolls.
    for (int i = 0; i < 6; i++)
    {
        CString strCaption;
        strCaption.Format(_T("Extra group %d"), i + 1);
        m_pRibbon->GetTab(1)->AddGroup(strCaption, 60 + i)->Add(xtpControlButton, 2080 + i, strCaption);
    }
    m_pRibbon->SetCurSel(1);
    Resize(400, 300);
    CXTPControl* pRight = m_pRibbon->GetScrollRight();
    ASSERT_TRUE(pRight->IsVisible());
    ASSERT_EQ(0, m_pRibbon->GetGroupsScrollPos());

    // Released at once: one step of 40 px.
    m_pRibbon->PostMessage(WM_LBUTTONUP, 0, 0);
    pRight->OnClick(FALSE, pRight->GetRect().CenterPoint());
    EXPECT_EQ(40, m_pRibbon->GetGroupsScrollPos());
    EXPECT_EQ(NULL, ::GetCapture());

    // Held for a while: the first repeat after 4/5 of the double-click time,
    // then one every tenth of it.
    s_hWndRelease = m_pRibbon->m_hWnd;
    UINT nHold = ::GetDoubleClickTime() * 4 / 5 + ::GetDoubleClickTime() / 10 * 3 + 30;
    ::SetTimer(NULL, 0, nHold, ReleaseButton);
    pRight->OnClick(FALSE, pRight->GetRect().CenterPoint());
    EXPECT_GE(m_pRibbon->GetGroupsScrollPos(), 40 + 3 * 40);
    EXPECT_EQ(NULL, ::GetCapture());

    // A control of a group scrolled out of view on the left is brought back.
    CXTPRibbonGroup* pFirstGroup = m_pRibbon->GetTab(1)->GetGroups()->GetAt(0);
    CXTPControl* pFirst = pFirstGroup->IsReduced() ? (CXTPControl*)pFirstGroup->GetControlGroupPopup()
                                                   : pFirstGroup->GetAt(0);
    ASSERT_LT(pFirst->GetRect().left, m_pRibbon->GetGroupsRect().left);
    m_pRibbon->EnsureControlVisible(pFirst);
    EXPECT_EQ(0, m_pRibbon->GetGroupsScrollPos());
    EXPECT_GE(pFirst->GetRect().left, m_pRibbon->GetGroupsRect().left);
}
