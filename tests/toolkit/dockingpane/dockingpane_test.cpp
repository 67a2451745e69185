// Docking panes: titles, tab colours, options, the hosted window's focus and
// enabled state, and copying.
#include "support/dockingframe.h"
#include "support/wndtest.h"
#include "support/pump.h"

#include <XTPTabManager.h>

#include <gtest/gtest.h>

using testsupport::CDockingTestFrame;

namespace
{
::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new testsupport::Environment);

class PaneTest : public testsupport::DockingFrameTest
{
protected:
    void SetUp() override
    {
        CreateFrame(CSize(500, 400));
        pPane = manager().CreatePane(9, CRect(0, 0, 150, 100), xtpPaneDockLeft);
        Layout();
    }

    CXTPDockingPane* pPane = NULL;
};

TEST_F(PaneTest, ATitleWithANewLineHasAShortTitleAndOneWithoutIsBoth)
{
    pPane->SetTitle("Appearance");
    EXPECT_EQ(CString("Appearance"), pPane->GetTitle());
    EXPECT_EQ(CString("Appearance"), pPane->GetShortTitle());
    pPane->SetTitle("This puzzle's Appearance Info\nAppearance");
    EXPECT_EQ(CString("This puzzle's Appearance Info"), pPane->GetTitle());
    EXPECT_EQ(CString("Appearance"), pPane->GetShortTitle());

    // The tab shows the short title, its tooltip the title.
    CXTPDockingPaneTabbedContainer* pContainer = (CXTPDockingPaneTabbedContainer*)pPane->GetContainer();
    pContainer->UpdateTabs();
    EXPECT_EQ(CString("Appearance"), pContainer->GetItem(0)->GetCaption());
    EXPECT_EQ(CString("This puzzle's Appearance Info"), pContainer->GetItem(0)->GetTooltip());

    // An id's string becomes the title (the Close string here).
    pPane->SetID(9457);
    EXPECT_EQ(CString("Close"), pPane->GetTitle());
}

TEST_F(PaneTest, TheTabColourIsTheOwnOrTheWindowsOrAnAutomaticOneByIdentifier)
{
    pPane->SetID(9);
    EXPECT_EQ((COLORREF)XTP_TABCOLOR_AUTOMATIC_FIRST + 1, pPane->GetItemColor());
    pPane->SetTabColor(RGB(1, 2, 3));
    EXPECT_EQ(RGB(1, 2, 3), pPane->GetItemColor());
    pPane->SetTabColor(COLORREF_NULL);

    struct CColoured : public CWnd
    {
        virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
        {
            if (message == XTP_WM_TABCOLOR)
                return RGB(9, 8, 7);
            return CWnd::WindowProc(message, wParam, lParam);
        }
    } coloured;
    ASSERT_TRUE(coloured.CreateEx(0, "STATIC", "", WS_CHILD, CRect(0, 0, 0, 0), pFrame, 0));
    HWND hOld = pPane->GetChild();
    pPane->AttachWindow(&coloured);
    EXPECT_EQ(RGB(9, 8, 7), pPane->GetItemColor());
    pPane->Detach();
    EXPECT_FALSE(pPane->HasAttachedWindow());
    EXPECT_EQ(pFrame->m_hWnd, ::GetParent(coloured.m_hWnd));
    coloured.DestroyWindow();
    (void)hOld;
}

TEST_F(PaneTest, OptionsIncludeTheManagersDefaultsAndAPaneWithoutFlagOneIsDisabled)
{
    pFrame->m_paneManager.SetDefaultPaneOptions(xtpPaneNoFloatable);
    pPane->SetOptions(xtpPaneNoCloseable);
    EXPECT_EQ((DWORD)(xtpPaneNoCloseable | xtpPaneNoFloatable), pPane->GetOptions());
    pFrame->m_paneManager.SetDefaultPaneOptions(0);

    ASSERT_TRUE(pPane->HasAttachedWindow());
    pPane->m_dwEnabled = xtpPaneEnableActions;   // flag 1 cleared behind the pane's back
    Layout();
    EXPECT_FALSE(::IsWindowEnabled(pPane->GetChild()));
    pPane->SetEnabled(xtpPaneEnabledAll);
    EXPECT_TRUE(::IsWindowEnabled(pPane->GetChild()));
}

TEST_F(PaneTest, SetFocusLeavesTheFocusWhereItIsInsideTheHostedWindow)
{
    pFrame->ShowWindow(SW_SHOWNA);
    pFrame->SetActiveWindow();
    ASSERT_TRUE(pPane->HasAttachedWindow());
    CWnd inner;
    ASSERT_TRUE(inner.CreateEx(0, "EDIT", "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 20, 20),
                               CWnd::FromHandle(pPane->GetChild()), 5));
    inner.SetFocus();
    if (::GetFocus() != inner.m_hWnd)
        GTEST_SKIP() << "the display does not give the focus";
    pPane->SetFocus();
    EXPECT_EQ(inner.m_hWnd, ::GetFocus());
    EXPECT_TRUE(pPane->IsFocus());
    inner.DestroyWindow();
}

TEST_F(PaneTest, ACopyTakesEverythingButTheWindow)
{
    pPane->SetTitle("Title\nShort");
    pPane->SetOptions(xtpPaneHasMenuButton);
    pPane->SetMinTrackSize(CSize(30, 40));
    pPane->SetMaxTrackSize(CSize(300, 400));
    pPane->SetEnabled(xtpPaneEnabled);
    pPane->SetPaneData(77);
    CXTPDockingPaneLayout* pLayout = pFrame->m_paneManager.CreateLayout();
    CXTPDockingPane* pCopy = static_cast<CXTPDockingPane*>(pPane->Clone(pLayout, NULL));
    ASSERT_TRUE(pCopy != NULL);
    EXPECT_EQ(pPane->GetID(), pCopy->GetID());
    EXPECT_EQ(pPane->GetFullTitle(), pCopy->GetFullTitle());
    EXPECT_EQ((DWORD)xtpPaneHasMenuButton, pCopy->GetOptions());
    EXPECT_EQ(CSize(30, 40), pCopy->GetMinTrackSize());
    EXPECT_EQ(CSize(300, 400), pCopy->GetMaxTrackSize());
    EXPECT_EQ((DWORD)xtpPaneEnabled, pCopy->GetEnabled());
    EXPECT_EQ(77u, pCopy->GetPaneData());
    EXPECT_EQ(pPane->m_szDocking, pCopy->m_szDocking);
    EXPECT_FALSE(pCopy->HasAttachedWindow());
    EXPECT_TRUE(pCopy->IsClosed());
    pLayout->InternalRelease();
}

TEST_F(PaneTest, TrackingSizesStayInRange)
{
    pPane->SetMinTrackSize(CSize(-5, 40000));
    EXPECT_EQ(CSize(0, 32000), pPane->GetMinTrackSize());
    pPane->SetWindowRect(0, 0, 50000, -3);
    EXPECT_EQ(CSize(32000, 0), pPane->m_szDocking);
}
} // namespace
