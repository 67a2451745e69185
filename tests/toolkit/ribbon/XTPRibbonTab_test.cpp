// Ribbon tabs: hiding the selected tab, copying a tab, and the contextual
// headers built over runs of tabs of one context (joined, split by a plain
// tab or another caption, widened to 40 px, dropped when there is no room).
#include "ribbon_testframe.h"

using namespace ribbontest;

namespace
{
class TabTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_nLive = LiveObjects();
        m_pFrame = new CRibbonFrame();
        ASSERT_TRUE(m_pFrame->CreateRibbonFrame(CRect(20, 20, 820, 420), TRUE));
        m_pRibbon = m_pFrame->GetRibbon();
    }
    void TearDown() override
    {
        m_pFrame->DestroyRibbonFrame();
        PumpAndIdle();
        EXPECT_EQ(m_nLive, LiveObjects());
    }
    CXTPRibbonTab* AddTab(LPCTSTR lpszCaption, int nColor = 0, LPCTSTR lpszContext = NULL)
    {
        CXTPRibbonTab* pTab = m_pRibbon->AddTab(lpszCaption);
        if (nColor != 0)
            pTab->SetContext(nColor, lpszContext);
        CXTPRibbonGroup* pGroup = pTab->AddGroup(_T("Group"));
        pGroup->Add(xtpControlButton, 2050, _T("Button"));
        return pTab;
    }
    CRibbonFrame* m_pFrame = NULL;
    CXTPRibbonBar* m_pRibbon = NULL;
    LONG m_nLive = 0;
};
} // namespace

TEST_F(TabTest, HidingTheSelectedTabSelectsTheFirstVisibleEnabledTab)
{
    CXTPRibbonTab* pA = AddTab(_T("Alpha"));
    CXTPRibbonTab* pB = AddTab(_T("Beta"));
    CXTPRibbonTab* pC = AddTab(_T("Gamma"));
    pA->SetEnabled(FALSE);
    m_pRibbon->SetCurSel(2);
    m_pFrame->Settle();
    ASSERT_EQ(pC, m_pRibbon->GetSelectedTab());

    pC->SetVisible(FALSE);
    EXPECT_EQ(pB, m_pRibbon->GetSelectedTab());
    // The groups of the hidden tab no longer show.
    EXPECT_FALSE(pC->GetGroups()->GetAt(0)->GetAt(0)->IsVisible());
    EXPECT_TRUE(pB->GetGroups()->GetAt(0)->GetAt(0)->IsVisible());
}

TEST_F(TabTest, HidingTheLastVisibleTabLeavesNoSelectionAndNoGroups)
{
    CXTPRibbonTab* pA = AddTab(_T("Alpha"));
    CXTPRibbonTab* pB = AddTab(_T("Beta"));
    m_pRibbon->SetCurSel(0);
    pB->SetVisible(FALSE);
    m_pFrame->Settle();
    ASSERT_EQ(pA, m_pRibbon->GetSelectedTab());

    m_pFrame->m_arrNotifications.clear();
    pA->SetVisible(FALSE);
    m_pFrame->Settle();
    EXPECT_EQ(NULL, m_pRibbon->GetSelectedTab());
    EXPECT_FALSE(pA->GetGroups()->GetAt(0)->GetAt(0)->IsVisible());
    EXPECT_EQ(0, m_pRibbon->GetGroupsHeight());
    // No tab changed notification for a deselection.
    for (int nCode : m_pFrame->m_arrNotifications)
        EXPECT_NE(XTP_RIBBON_TCN_SELCHANGING, nCode);
}

TEST_F(TabTest, CopyTakesTheContextTheValueAndTheGroups)
{
    CXTPRibbonTab* pA = AddTab(_T("Alpha"), xtpRibbonTabContextColorGreen, _T("Tools"));
    pA->SetTabValue(42);
    pA->AddGroup(_T("Second"), 77);
    CXTPRibbonTabPopupToolBar* pPopup = new CXTPRibbonTabPopupToolBar(pA);
    CXTPRibbonTab* pCopy = pPopup->GetShownTab();
    ASSERT_TRUE(pCopy != NULL);
    EXPECT_EQ(xtpRibbonTabContextColorGreen, pCopy->GetContextColor());
    EXPECT_EQ(CString("Tools"), pCopy->GetContextCaption());
    EXPECT_EQ(42, pCopy->GetTabValue());
    ASSERT_EQ(2, pCopy->GetGroups()->GetCount());
    EXPECT_EQ(77, pCopy->FindGroup(77)->GetID());
    // The copy's controls live on the popup, not on the ribbon.
    EXPECT_EQ((CXTPCommandBar*)pPopup, pCopy->GetGroups()->GetAt(0)->GetAt(0)->GetParent());
    EXPECT_EQ(pA, m_pRibbon->GetTab(0));
    pPopup->InternalRelease();
}

TEST_F(TabTest, AdjacentTabsOfOneContextShareOneHeader)
{
    AddTab(_T("Home"));
    CXTPRibbonTab* pA = AddTab(_T("Design"), xtpRibbonTabContextColorGreen, _T("Tools"));
    CXTPRibbonTab* pB = AddTab(_T("Layout"), xtpRibbonTabContextColorGreen, _T("Tools"));
    m_pFrame->Settle();
    CXTPRibbonTabContextHeaders* pHeaders = m_pRibbon->GetContextHeaders();
    ASSERT_EQ(1, pHeaders->GetCount());
    CXTPRibbonTabContextHeader* pHeader = pHeaders->GetAt(0);
    EXPECT_EQ(pA, pHeader->m_pFirstTab);
    EXPECT_EQ(pB, pHeader->m_pLastTab);
    EXPECT_EQ(pA->GetRect().left, pHeader->m_rcHeader.left);
    EXPECT_EQ(pB->GetRect().right, pHeader->m_rcHeader.right);
    EXPECT_EQ(pHeader, pA->GetContextHeader());
    EXPECT_EQ(pHeader, pB->GetContextHeader());

    // A press on the header selects its first tab.
    m_pRibbon->SendMessage(WM_LBUTTONDOWN, 0, MAKELPARAM(pHeader->m_rcHeader.CenterPoint().x, pHeader->m_rcHeader.CenterPoint().y));
    EXPECT_EQ(pA, m_pRibbon->GetSelectedTab());
}

TEST_F(TabTest, APlainTabOrAnotherCaptionStartsANewHeader)
{
    AddTab(_T("Design"), xtpRibbonTabContextColorGreen, _T("Tools"));
    AddTab(_T("Home"));
    AddTab(_T("Layout"), xtpRibbonTabContextColorGreen, _T("Tools"));
    AddTab(_T("Format"), xtpRibbonTabContextColorGreen, _T("Other"));
    AddTab(_T("Review"), xtpRibbonTabContextColorRed, _T("Other"));
    m_pFrame->Settle();
    EXPECT_EQ(4, m_pRibbon->GetContextHeaders()->GetCount());
}

TEST_F(TabTest, HeadersAreWidenedToFortyPixelsWhenMoved)
{
    CXTPRibbonTab* pA = AddTab(_T("Design"), xtpRibbonTabContextColorBlue, _T("Tools"));
    m_pFrame->Settle();
    CXTPRibbonTabContextHeaders* pHeaders = m_pRibbon->GetContextHeaders();
    pHeaders->RemoveAll();
    CXTPRibbonTabContextHeader* pHeader = new CXTPRibbonTabContextHeader(pA);
    pHeader->m_rcHeader.SetRect(100, 4, 130, 26);
    pHeaders->Add(pHeader);

    // Pushed right by the left limit: 30 px become 40.
    EXPECT_TRUE(m_pRibbon->FitContextHeaders(105, 500));
    EXPECT_EQ(CRect(105, 4, 145, 26), pHeader->m_rcHeader);
    // Pushed left by the right limit.
    pHeader->m_rcHeader.SetRect(100, 4, 130, 26);
    EXPECT_TRUE(m_pRibbon->FitContextHeaders(0, 120));
    EXPECT_EQ(CRect(80, 4, 120, 26), pHeader->m_rcHeader);
    // No room for 40 px: the fit fails.
    pHeader->m_rcHeader.SetRect(100, 4, 130, 26);
    EXPECT_FALSE(m_pRibbon->FitContextHeaders(100, 120));
    pHeaders->RemoveAll();
    EXPECT_EQ(NULL, pA->GetContextHeader());
}

TEST_F(TabTest, WithoutRoomThereAreNoHeadersAndTheTabsStillWork)
{
    AddTab(_T("Home"));
    CXTPRibbonTab* pA = AddTab(_T("Design"), xtpRibbonTabContextColorGreen, _T("Tools"));
    m_pFrame->Settle();
    ASSERT_EQ(1, m_pRibbon->GetContextHeaders()->GetCount());
    // The free part of the caption shrinks to nothing.
    m_pRibbon->m_rcHeader.right = m_pRibbon->m_rcHeader.left + 10;
    m_pRibbon->CreateContextHeaders();
    EXPECT_EQ(0, m_pRibbon->GetContextHeaders()->GetCount());
    EXPECT_EQ(NULL, pA->GetContextHeader());
    m_pRibbon->SetCurSel(1);
    EXPECT_EQ(pA, m_pRibbon->GetSelectedTab());
}

TEST_F(TabTest, HeaderIndexOutsideTheListRaisesInvalidArgument)
{
    CXTPRibbonTabContextHeaders headers;
    bool bThrown = false;
    try
    {
        headers.GetAt(0);
    }
    catch (CInvalidArgException* e)
    {
        bThrown = true;
        e->Delete();
    }
    EXPECT_TRUE(bThrown);
    EXPECT_EQ(NULL, headers.HitTest(CPoint(0, 0)));
}
