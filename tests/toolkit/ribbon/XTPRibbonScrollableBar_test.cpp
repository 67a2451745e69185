// The scrolling groups area: the scroll buttons with auto-repeat, bringing a
// control into view, and the offset kept while the frame is wide.
// ctest: run-serial
#include "ribbon_testframe.h"

#include "support/mouseinput.h"

using namespace ribbontest;

namespace
{
using testsupport::MouseInput;

class ScrollableBarTest : public RibbonSampleTest
{
protected:
    // Adds nGroups groups of one caption-only button to the second tab,
    // selects it and narrows the frame so that the groups scroll.
    void AddGroupsAndNarrow(int nGroups)
    {
        for (int i = 0; i < nGroups; i++)
        {
            CString strCaption;
            strCaption.Format(_T("Extra group %d"), i + 1);
            m_pRibbon->GetTab(1)->AddGroup(strCaption, 60 + i)->Add(xtpControlButton, 2080 + i, strCaption);
        }
        m_pRibbon->SetCurSel(1);
        Resize(400, 300);
    }
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
    AddGroupsAndNarrow(10);
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

TEST_F(ScrollableBarTest, WideningThenNarrowingTheFrameBringsTheOldOffsetBack)
{
    AddGroupsAndNarrow(6);
    CXTPRibbonGroups* pGroups = m_pRibbon->GetTab(1)->GetGroups();
    CXTPControl* pRight = m_pRibbon->GetScrollRight();
    ASSERT_TRUE(pRight->IsVisible());

    // Two clicks on the right scroll button, as the user makes them.
    CPoint pt = pRight->GetRect().CenterPoint();
    m_pRibbon->ClientToScreen(&pt);
    ::SetCursorPos(pt.x, pt.y);
    for (int i = 0; i < 2; i++)
    {
        testsupport::SendInputs({ MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, pt),
                                  MouseInput(MOUSEEVENTF_LEFTDOWN), MouseInput(MOUSEEVENTF_LEFTUP) });
        for (int n = 0; n < 10; n++)
        {
            PumpAndIdle();
            ::Sleep(20);
        }
        ::Sleep(::GetDoubleClickTime() + 50);   // two clicks, not a double click
    }
    ASSERT_EQ(80, pGroups->GetScrollOffset());
    CXTPControl* pFirst = pGroups->GetAt(0)->IsReduced() ? (CXTPControl*)pGroups->GetAt(0)->GetControlGroupPopup()
                                                          : pGroups->GetAt(0)->GetAt(0);
    int nFirstLeft = pFirst->GetRect().left;

    // Wide enough for every group: nothing scrolls.
    Resize(1600, 300);
    EXPECT_EQ(0, pGroups->GetScrollOffset());
    EXPECT_FALSE(m_pRibbon->GetScrollLeft()->IsVisible());
    EXPECT_FALSE(m_pRibbon->GetScrollRight()->IsVisible());

    // Narrow again: the groups stand where the user left them.
    Resize(400, 300);
    EXPECT_EQ(80, pGroups->GetScrollOffset());
    EXPECT_EQ(nFirstLeft, pFirst->GetRect().left);
    EXPECT_TRUE(m_pRibbon->GetScrollLeft()->IsVisible());
    EXPECT_TRUE(SaveScreenPicture(m_pFrame->m_hWnd, "offset_back_after_widening"));

    // Scrolling left goes from what is shown, also after the offset asked
    // for was more than a layout could show.
    m_pRibbon->SetGroupsScrollPos(100000);
    int nMost = pGroups->GetScrollOffset();
    ASSERT_GT(nMost, 80);
    m_pRibbon->CXTPRibbonScrollableBar::OnGroupsScroll(TRUE);
    EXPECT_EQ(nMost - 40, pGroups->GetScrollOffset());
}
