// The scrolling groups area: the scroll buttons with auto-repeat and
// bringing a control into view.
// ctest: run-serial
#include "ribbon_testframe.h"

using namespace ribbontest;

namespace
{
class ScrollableBarTest : public ::testing::Test
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
    CRibbonFrame* m_pFrame = NULL;
    CXTPRibbonBar* m_pRibbon = NULL;
    LONG m_nLive = 0;
};

HWND s_hWndRelease = NULL;
void CALLBACK ReleaseButton(HWND, UINT, UINT_PTR nIDEvent, DWORD)
{
    ::KillTimer(NULL, nIDEvent);
    ::PostMessage(s_hWndRelease, WM_LBUTTONUP, 0, 0);
}
} // namespace

TEST_F(ScrollableBarTest, HoldingAScrollButtonRepeatsUntilItIsReleased)
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
