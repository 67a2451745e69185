// Toolbars: loading with the site's say, the expand button and overflow,
// the Add or Remove Buttons list, floating and closing, reset, and the
// removal of a torn-off bar when it is hidden.
// ctest: run-serial (a popup closes when another program takes the activation)
#include "support/commandbars_testframe.h"
#include "XTPControlButton.h"
#include "support/wndtest.h"
#include "XTPDockContext.h"
#include "support/tooltips.h"

using namespace cbtest;

namespace
{
class ReplacementButton : public CXTPControlButton
{
};

class ToolBarTest : public CommandBarsFrameTest
{
protected:
    void SetUp() override
    {
        CommandBarsFrameTest::SetUp();
        if (HasFatalFailure())
            return;
        m_pStandard = m_pFrame->GetStandardBar();
        PumpAndIdle();
    }
    CRect BarRect(CXTPToolBar* pBar) const
    {
        CRect rc;
        pBar->GetWindowRect(&rc);
        return rc;
    }
    // Resizes the frame and lays it out at once.
    void ResizeFrame(int cx)
    {
        CRect rc;
        m_pFrame->GetWindowRect(&rc);
        m_pFrame->SetWindowPos(NULL, 0, 0, cx, rc.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        m_pFrame->RecalcLayout();
        PumpAndIdle();
    }
    CXTPToolBar* m_pStandard = NULL;
};

// The frame made as where the system keeps a frame's windows in front of
// it (Windows): the program stacks none of them.
class ToolBarWhereTheSystemStacksTest : public ToolBarTest
{
protected:
    void SetUp() override
    {
        AfxSetOwnedWindowsRestacked(0);
        ToolBarTest::SetUp();
    }
    void TearDown() override
    {
        ToolBarTest::TearDown();
        AfxSetOwnedWindowsRestacked(-1);
    }
};
} // namespace

TEST_F(ToolBarTest, LoadingAsksTheSiteForEveryButton)
{
    m_pFrame->m_arrSite.clear();
    ReplacementButton* pReplacement = new ReplacementButton();
    m_pFrame->m_pReplacement = pReplacement;
    m_pFrame->m_nReplaceId = ID_SAVE_PUZZLE;
    ASSERT_TRUE(m_pStandard->LoadToolBar(IDR_MAINFRAME));
    EXPECT_EQ(8, m_pFrame->CountSite(WM_XTP_BEFORECREATECONTROL)) << "one request per button, none per separator";
    EXPECT_EQ(8, m_pFrame->CountSite(WM_XTP_AFTERCREATECONTROL));
    CXTPControl* pSave = m_pStandard->GetControls()->FindControl(ID_SAVE_PUZZLE);
    EXPECT_EQ(pReplacement, pSave) << "the site's control is used";
    EXPECT_EQ(2, pReplacement->m_dwRef) << "held by the bar and by the frame";
    EXPECT_NE(nullptr, m_pStandard->GetControls()->GetOriginalControls());
    EXPECT_FALSE(m_pStandard->LoadToolBar(4321)) << "a missing resource fails";
    EXPECT_EQ(0, m_pStandard->GetControlCount());
}

TEST_F(ToolBarTest, ExpandButtonSitsInAnElevenPixelStrip)
{
    ASSERT_TRUE(m_pCommandBars->GetCommandBarsOptions()->bShowExpandButtonAlways);
    CXTPControl* pExpand = m_pStandard->GetControls()->FindControl(XTP_ID_TOOLBAR_EXPAND);
    ASSERT_NE(nullptr, pExpand);
    EXPECT_TRUE(pExpand->IsVisible());
    EXPECT_TRUE(pExpand->IsTemporary());
    CXTPControl* pLast = m_pStandard->GetControls()->FindControl(ID_BRANCH_REVERT);
    CRect rcBar = BarRect(m_pStandard);
    CRect rcBorders = m_pStandard->GetBorders();
    EXPECT_EQ(rcBorders.right + 11, rcBar.Width() - pLast->GetRect().right) << "11 pixels kept for the button";
    EXPECT_GE(pExpand->GetRect().left, pLast->GetRect().right);
    EXPECT_LE(pExpand->GetRect().right, rcBar.Width());
}

TEST_F(ToolBarTest, MinimumDockedSizeKeepsRoomForTheExpandButton)
{
    m_pCommandBars->GetCommandBarsOptions()->bShowExpandButtonAlways = FALSE;
    CSize szMin = m_pStandard->CalcDockingLayout(1, LM_HORZ | LM_HORZDOCK | LM_HIDEWRAP);
    CXTPControl* pFirst = m_pStandard->GetControl(0);
    CRect rcBorders = m_pStandard->GetBorders();
    EXPECT_GE(szMin.cx, rcBorders.left + pFirst->GetRect().Width() + rcBorders.right + 11);
    CSize szFull = m_pStandard->CalcDockingLayout(2000, LM_HORZ | LM_HORZDOCK | LM_HIDEWRAP | LM_COMMIT);
    EXPECT_FALSE(m_pStandard->GetControls()->FindControl(XTP_ID_TOOLBAR_EXPAND)->IsVisible())
        << "all buttons fit and the option is off: no expand button";
    EXPECT_GT(szFull.cx, szMin.cx);
}

TEST_F(ToolBarTest, OverflowGoesIntoTheExpandPopup)
{
    // Narrowed, both bars of the row give up buttons that no longer fit.
    ResizeFrame(250);
    CXTPToolBar* pTimer = m_pFrame->GetTimerBar();
    EXPECT_EQ(BarRect(m_pStandard).top, BarRect(pTimer).top) << "both still fit squeezed";
    std::vector<int> hidden;
    for (CXTPToolBar* pBar : { m_pStandard, pTimer })
    {
        for (int i = 0; i < pBar->GetControlCount(); i++)
        {
            if (pBar->GetControl(i)->GetHideFlags() == xtpHideWrap)
                hidden.push_back(pBar->GetControl(i)->GetID());
        }
    }
    ASSERT_FALSE(hidden.empty()) << "some buttons no longer fit";
    CXTPControl* pRevert = m_pStandard->GetControls()->FindControl(ID_BRANCH_REVERT);
    EXPECT_EQ((DWORD)xtpHideWrap, pRevert->GetHideFlags()) << "the last button goes first";

    CXTPToolBar::CControlButtonExpand* pExpand = m_pStandard->GetExpandButton(FALSE);
    ASSERT_NE(nullptr, pExpand);
    EXPECT_TRUE(pExpand->HasHiddenControls());
    m_pFrame->m_arrSite.clear();
    ASSERT_TRUE(m_pStandard->SetPopuped(pExpand->GetIndex()));
    int nExpandRequests = 0;
    for (const SiteMessage& msg : m_pFrame->m_arrSite)
        nExpandRequests += msg.nMessage == WM_XTP_CREATECOMMANDBAR && msg.nId == -1;
    EXPECT_EQ(1, nExpandRequests) << "the site may supply the expand popup";
    CXTPCommandBar* pPopup = pExpand->GetCommandBar();
    ASSERT_NE(nullptr, pPopup);
    std::vector<int> shown;
    for (int id : Ids(pPopup))
    {
        if (id != 0)
            shown.push_back(id);
    }
    ASSERT_EQ(hidden.size() + 1, shown.size()) << "the hidden buttons of the row and the list";
    for (size_t i = 0; i < hidden.size(); i++)
        EXPECT_EQ(hidden[i], shown[i]);
    EXPECT_EQ(XTP_ID_CUSTOMIZE_ADDORREMOVE, shown.back());
    m_pStandard->SetTrackingMode(FALSE);

    // Bars that may not shrink cannot share the row: the Timer bar takes a
    // line of its own.
    m_pStandard->SetFlags(0, xtpFlagHideWrap);
    pTimer->SetFlags(0, xtpFlagHideWrap);
    ResizeFrame(300);
    EXPECT_NE(BarRect(m_pStandard).top, BarRect(pTimer).top);
    EXPECT_EQ(BarRect(m_pStandard).bottom, BarRect(pTimer).top);
    m_pStandard->SetFlags(xtpFlagHideWrap);
    pTimer->SetFlags(xtpFlagHideWrap);

    ResizeFrame(700);
    EXPECT_FALSE(m_pStandard->GetExpandButton(FALSE)->HasHiddenControls());
    EXPECT_EQ(0u, pRevert->GetHideFlags());
}

TEST_F(ToolBarTest, AddOrRemoveButtonsListHidesAndShows)
{
    CXTPPopupBar* pList = CXTPPopupBar::CreatePopupBar(m_pCommandBars);
    m_pStandard->BuildCustomizePopup(pList);
    ASSERT_EQ(9, pList->GetControlCount()) << "eight buttons and the reset entry";
    CXTPControl* pEntry = pList->GetControl(1);
    EXPECT_STREQ(m_pStandard->GetControl(1)->GetCaption(), pEntry->GetCaption());
    EXPECT_EQ(1, pEntry->GetChecked());
    CXTPControl* pReset = pList->GetControl(8);
    EXPECT_EQ(XTP_ID_CUSTOMIZE_RESET, pReset->GetID());
    EXPECT_TRUE(pReset->GetBeginGroup());

    pEntry->OnExecute();
    EXPECT_TRUE(m_pStandard->GetControl(1)->GetHideFlags() & xtpHideCustomize);
    EXPECT_EQ(0, pEntry->GetChecked());
    EXPECT_TRUE(m_pCommandBars->GetCommandBarsOptions()->bDirtyState);
    EXPECT_TRUE(m_pStandard->IsChanged());

    // Building again keeps the hidden button listed, unchecked.
    pList->GetControls()->RemoveAll();
    m_pStandard->BuildCustomizePopup(pList);
    ASSERT_EQ(9, pList->GetControlCount());
    EXPECT_EQ(0, pList->GetControl(1)->GetChecked());
    pList->GetControl(1)->OnExecute();
    EXPECT_FALSE(m_pStandard->GetControl(1)->GetHideFlags() & xtpHideCustomize);
    pList->InternalRelease();
}

TEST_F(ToolBarTest, ResetAsksWithTheTitleAndCancelKeepsTheBar)
{
    m_pStandard->GetControls()->RemoveAt(0);
    int nCount = m_pStandard->GetControlCount();
    testsupport::Boxes().texts.clear();
    testsupport::Boxes().nAnswer = IDCANCEL;
    m_pStandard->ResetToolBar(TRUE);
    ASSERT_EQ(1u, testsupport::Boxes().texts.size());
    EXPECT_EQ("Are you sure you want to reset the changes made to the 'Standard' toolbar?",
              testsupport::Boxes().texts[0]);
    EXPECT_EQ(nCount, m_pStandard->GetControlCount());

    testsupport::Boxes().nAnswer = IDOK;
    m_pFrame->m_arrSite.clear();
    m_pStandard->ResetToolBar(TRUE);
    std::vector<int> standard = { 2001, 0, 57601, 2003, 57607, 0, 2008, 2010, 2011, 2012 };
    EXPECT_EQ(standard, Ids(m_pStandard));
    EXPECT_EQ(1, m_pFrame->CountSite(WM_XTP_TOOLBARRESET));
    EXPECT_FALSE(m_pStandard->IsChanged());
}

TEST_F(ToolBarTest, FloatingBarHasACloseButtonThatHidesIt)
{
    ASSERT_TRUE(m_pStandard->SetPosition(xtpBarFloating));
    EXPECT_EQ(xtpBarFloating, m_pStandard->GetPosition());
    EXPECT_EQ(NULL, m_pStandard->GetDockBar());
    EXPECT_TRUE(m_pStandard->CWnd::GetStyle() & WS_POPUP);
    CXTPControl* pClose = m_pStandard->GetControls()->FindControl(XTP_ID_TOOLBAR_HIDE);
    ASSERT_NE(nullptr, pClose);
    EXPECT_TRUE(pClose->IsVisible());
    CRect rcBar = BarRect(m_pStandard);
    EXPECT_EQ(rcBar.Width() - 3, pClose->GetRect().right) << "at the right of the caption strip";

    m_pFrame->m_arrSite.clear();
    pClose->OnExecute();
    EXPECT_FALSE(m_pStandard->IsVisible());
    EXPECT_FALSE(m_pStandard->IsWindowVisible());
    EXPECT_EQ(1, m_pFrame->CountSite(WM_XTP_TOOLBARVISIBLECHANGED));

    m_pStandard->SetVisible(TRUE);
    ASSERT_TRUE(m_pStandard->SetPosition(xtpBarTop));
    EXPECT_TRUE(m_pStandard->CWnd::GetStyle() & WS_CHILD);
    EXPECT_NE(nullptr, m_pStandard->GetDockBar());
}

TEST_F(ToolBarTest, HidingATornOffBarRemovesItSafely)
{
    LONG nBefore = LiveObjects();
    CXTPToolBar* pTorn = m_pCommandBars->CreateCustomToolBar(_T("Torn"), 4000, TRUE);
    ASSERT_NE(nullptr, pTorn);
    EXPECT_TRUE(pTorn->IsTearOff());
    EXPECT_FALSE(pTorn->IsBuiltIn());
    pTorn->GetControls()->Add(xtpControlButton, ID_UNDO_MOVE);
    int nBars = m_pCommandBars->GetCount();
    m_pCommandBars->GetCommandBarsOptions()->bDirtyState = FALSE;

    pTorn->SetVisible(FALSE);
    EXPECT_EQ(nBars - 1, m_pCommandBars->GetCount());
    EXPECT_EQ(NULL, m_pCommandBars->GetToolBar(4000));
    EXPECT_TRUE(m_pCommandBars->GetCommandBarsOptions()->bDirtyState) << "marked before the bar went";
    EXPECT_EQ(nBefore, LiveObjects()) << "the bar and its control are deleted";
}

// A popup torn off (tear-off id 0) and dragged back in before the button is
// let go hides its toolbar for good: the bar is gone, and activating the
// frame shows no ghost of it. Torn off again, and once more while its bar
// still floats, there is never more than one bar.
TEST_F(ToolBarTest, ATornOffPopupMakesOneBarAndDraggedBackInLeavesNoGhost)
{
    const int nBars = m_pCommandBars->GetCount();
    CXTPPopupBar* pPopup = CXTPPopupBar::CreatePopupBar(m_pCommandBars);
    pPopup->GetControls()->Add(xtpControlButton, ID_UNDO_MOVE);
    pPopup->GetControls()->Add(xtpControlButton, ID_BRANCH_BEGIN);
    pPopup->SetTearOffPopup(_T("Moves"), 0, 200);
    ASSERT_TRUE(pPopup->PopupAt(300, 300, NULL));

    pPopup->TearOffPopup();
    CXTPToolBar* pTorn = pPopup->GetTearOffToolBar();
    ASSERT_NE(nullptr, pTorn);
    EXPECT_EQ(nBars + 1, m_pCommandBars->GetCount());
    EXPECT_TRUE(pTorn->IsVisible());
    EXPECT_EQ(xtpBarFloating, pTorn->GetPosition());

    // Dragged back in: the bar is hidden and its flag says so.
    pPopup->UndoTearOff();
    EXPECT_FALSE(pTorn->IsVisible());
    EXPECT_FALSE(pTorn->GetSafeHwnd() != NULL && pTorn->IsWindowVisible());
    EXPECT_EQ(nBars, m_pCommandBars->GetCount());
    m_pFrame->SendMessageToDescendants(WM_FLOATSTATUS, FS_ACTIVATE, 0, TRUE, TRUE);
    for (int i = 0; i < m_pCommandBars->GetCount(); i++)
        EXPECT_EQ(m_pCommandBars->GetAt(i)->IsVisible(), m_pCommandBars->GetAt(i)->IsWindowVisible()) << i;

    // Out again: one new bar; out once more while it floats: the same bar.
    pPopup->TearOffPopup();
    EXPECT_EQ(nBars + 1, m_pCommandBars->GetCount());
    CXTPToolBar* pAgain = pPopup->GetTearOffToolBar();
    ASSERT_NE(nullptr, pAgain);
    EXPECT_TRUE(pAgain->IsVisible());
    pPopup->TearOffPopup();
    EXPECT_EQ(nBars + 1, m_pCommandBars->GetCount());
    EXPECT_EQ(pAgain, pPopup->GetTearOffToolBar());

    m_pCommandBars->ClosePopups();
    pPopup->InternalRelease();
    pAgain->SetVisible(FALSE);
    EXPECT_EQ(nBars, m_pCommandBars->GetCount());
}

TEST_F(ToolBarTest, HideWrapBarsWrapInsteadWhileCustomizing)
{
    // Docked bars are laid out hiding what does not fit (the bar's hide-wrap
    // flag); in full customize mode they wrap so every button can be
    // reached, and quick customisation keeps hiding.
    auto HiddenCount = [](CXTPToolBar* pBar) {
        int nHidden = 0;
        for (int i = 0; i < pBar->GetControlCount(); i++)
            nHidden += pBar->GetControl(i)->GetHideFlags() == xtpHideWrap;
        return nHidden;
    };
    ASSERT_TRUE(m_pStandard->GetFlags() & xtpFlagHideWrap);
    ResizeFrame(150);
    const int nHeight = BarRect(m_pStandard).Height();
    EXPECT_GT(HiddenCount(m_pStandard), 0);

    m_pCommandBars->SetCustomizeMode(TRUE);
    m_pFrame->RecalcLayout();
    EXPECT_EQ(0, HiddenCount(m_pStandard));
    EXPECT_GT(BarRect(m_pStandard).Height(), nHeight) << "wrapped onto more lines";

    m_pCommandBars->SetCustomizeMode(FALSE);
    m_pCommandBars->SetQuickCustomizeMode(TRUE);
    m_pStandard->DelayLayout();
    m_pFrame->RecalcLayout();
    EXPECT_GT(HiddenCount(m_pStandard), 0);
    EXPECT_EQ(nHeight, BarRect(m_pStandard).Height());
    m_pCommandBars->SetQuickCustomizeMode(FALSE);
}

TEST_F(ToolBarTest, TheMinimumIsMeasuredAtLengthOneInTheCallersMode)
{
    // A wide last button: wrapped at length 1 it sets the width, where a
    // hide-wrap measure would leave it out and give the first button's.
    m_pCommandBars->GetCommandBarsOptions()->bShowExpandButtonAlways = FALSE;
    CXTPControl* pLast = m_pStandard->GetControls()->Add(xtpControlEdit, 32000);
    pLast->SetWidth(90);
    CRect rcBorders = m_pStandard->GetBorders();
    CSize szWrapped = m_pStandard->CalcDockingLayout(1, LM_HORZ | LM_HORZDOCK);
    EXPECT_GE(szWrapped.cx, rcBorders.left + 90 + rcBorders.right + 11);
    CSize szHidden = m_pStandard->CalcDockingLayout(1, LM_HORZ | LM_HORZDOCK | LM_HIDEWRAP);
    EXPECT_LT(szHidden.cx, szWrapped.cx) << "with hide-wrap the wide button is left out";
}

TEST_F(ToolBarTest, AFloatingWindowIsCreatedWhereTheDockContextLastFloatedTheBar)
{
    CXTPToolBar* pBar = new CXTPToolBar();
    pBar->SetCommandBars(m_pCommandBars);
    ASSERT_NE(nullptr, pBar->GetDockContext());
    pBar->GetDockContext()->m_ptMRUFloatPos = CPoint(310, 220);
    ASSERT_TRUE(pBar->CreateBarWindow(m_pFrame, TRUE));
    CRect rc = BarRect(pBar);
    EXPECT_EQ(CPoint(310, 220), rc.TopLeft());
    EXPECT_TRUE(pBar->IsWindowVisible()) << "shown without activation";
    pBar->DestroyWindow();
    pBar->InternalRelease();
}

namespace
{
// A toolbar made as a plain child window without command bars, laid out
// across the top of the frame's client area below its docked bars.
void MakePlainBar(CXTPToolBar& bar, CTestFrame* pFrame, DWORD dwStyle)
{
    ASSERT_TRUE(bar.CreateToolBar(dwStyle, pFrame, AFX_IDW_TOOLBAR + 7));
    ASSERT_TRUE(bar.LoadToolBar(IDR_MAINFRAME, TRUE));
    CRect rcClient;
    pFrame->GetClientRect(&rcClient);
    CSize sz = bar.CalcDockingLayout(rcClient.Width(), LM_HORZ | LM_HORZDOCK | LM_COMMIT);
    bar.MoveWindow(0, rcClient.Height() / 2, rcClient.Width(), sz.cy);
    bar.UpdateWindow();
}
} // namespace

// A toolbar made without command bars has no tooltip context: with the
// tooltip style the class library's tooltips show its buttons' tips when
// the pointer rests on them; without the style, or with command bars, they
// stay off.
TEST_F(ToolBarTest, APlainToolBarWithTheTooltipStyleShowsItsButtonsTips)
{
    m_pFrame->SetForegroundWindow();
    PumpAndIdle();
    {
        CXTPToolBar bar;
        MakePlainBar(bar, m_pFrame, WS_CHILD | WS_VISIBLE | CBRS_TOOLTIPS | CBRS_TOP);
        if (HasFatalFailure())
            return;
        EXPECT_TRUE(bar.GetCommandBars() == NULL);
        EXPECT_NE(0u, bar.m_nFlags & WF_TOOLTIPS);

        CXTPControl* pNew = bar.GetControls()->FindControl(ID_NEW_PUZZLE);
        ASSERT_NE(nullptr, pNew);
        CPoint pt = pNew->GetRect().CenterPoint();
        bar.ClientToScreen(&pt);
        HWND hTip = testsupport::HoverUntilToolTip(pt, [] { PumpAndIdle(); });
        ASSERT_TRUE(hTip != NULL) << "no tip over the New Puzzle button";
        EXPECT_EQ("New Puzzle", testsupport::CurrentToolText(hTip));
        CRect rcTip, rcBar;
        ::GetWindowRect(hTip, &rcTip);
        bar.GetWindowRect(&rcBar);
        EXPECT_GE(rcTip.top, rcBar.top) << "the tip shows at the pointer";
        EXPECT_TRUE(SaveScreenSnapshot(m_pFrame->m_hWnd, "plain_toolbar_tip"));

        // Leaving for the frame's empty client area hides it.
        CPoint ptAway(pt.x, pt.y + 60);
        ::SetCursorPos(ptAway.x, ptAway.y);
        for (int i = 0; i < 100 && testsupport::VisibleToolTip() != NULL; i++)
        {
            PumpAndIdle();
            ::Sleep(20);
        }
        EXPECT_TRUE(testsupport::VisibleToolTip() == NULL);
        bar.DestroyWindow();
    }
    {
        CXTPToolBar bar;
        MakePlainBar(bar, m_pFrame, WS_CHILD | WS_VISIBLE | CBRS_TOP);
        if (HasFatalFailure())
            return;
        EXPECT_EQ(0u, bar.m_nFlags & WF_TOOLTIPS) << "no tooltip style";
        bar.DestroyWindow();
    }
    {
        // With command bars their tooltip context serves the bar.
        CXTPToolBar bar;
        bar.SetCommandBars(m_pCommandBars);
        ASSERT_TRUE(bar.CreateToolBar(WS_CHILD | CBRS_TOOLTIPS | CBRS_TOP, m_pFrame, AFX_IDW_TOOLBAR + 7));
        EXPECT_EQ(0u, bar.m_nFlags & WF_TOOLTIPS) << "command bars have tips of their own";
        bar.DestroyWindow();
    }
}

TEST_F(ToolBarTest, AButtonShownFromTheOpenExpandMenuLeavesTheMenuWhole)
{
    // The player removed the bar's first button; the expand menu's Add or
    // Remove Buttons list, opened down to the bar's buttons, shows it again
    // while the menus stay open. The pointer resting on the expand button
    // meanwhile does not open its menu again over itself.
    const int nFirst = m_pStandard->GetControl(0)->GetID();
    m_pStandard->GetControls()->RemoveAt(0);
    m_pStandard->OnRecalcLayout();
    PumpAndIdle();
    CXTPToolBar::CControlButtonExpand* pExpand = m_pStandard->GetExpandButton(FALSE);
    ASSERT_NE(nullptr, pExpand);
    ASSERT_TRUE(m_pStandard->SetPopuped(pExpand->GetIndex()));
    CXTPCommandBar* pMenu = pExpand->GetCommandBar();
    ASSERT_NE(nullptr, pMenu);
    // Building the list put the removed button back before the expand
    // button: the bar still knows the expand button as the open one, and a
    // hover over it (which opens it again when it is not) leaves its menu.
    EXPECT_EQ(pExpand, m_pStandard->GetPopupedControl());
    EXPECT_EQ(pExpand, m_pStandard->GetSelectedControl());
    EXPECT_FALSE(m_pStandard->SetPopuped(pExpand->GetIndex()));
    EXPECT_EQ(pMenu, pExpand->GetCommandBar());
    EXPECT_TRUE(pMenu->IsTrackingMode());
    CXTPControl* pAddRemove = pMenu->GetControls()->FindControl(XTP_ID_CUSTOMIZE_ADDORREMOVE);
    ASSERT_NE(nullptr, pAddRemove);
    ASSERT_TRUE(pMenu->SetPopuped(pAddRemove->GetIndex()));
    CXTPCommandBar* pBars = ((CXTPControlPopup*)pAddRemove)->GetCommandBar();
    ASSERT_NE(nullptr, pBars);
    ASSERT_GT(pBars->GetControlCount(), 0);
    ASSERT_TRUE(pBars->SetPopuped(0));
    CXTPCommandBar* pList = ((CXTPControlPopup*)pBars->GetControl(0))->GetCommandBar();
    ASSERT_NE(nullptr, pList);
    ASSERT_GT(pList->GetControlCount(), 0);
    PumpAndIdle();

    CXTPControl* pEntry = pList->GetControl(0);
    EXPECT_EQ(0, pEntry->GetChecked()) << "the removed button is listed, hidden";
    pEntry->OnExecute();
    PumpAndIdle();
    CXTPControl* pShown = m_pStandard->GetControls()->FindControl(nFirst);
    ASSERT_NE(nullptr, pShown);
    EXPECT_FALSE(pShown->GetHideFlags() & xtpHideCustomize);
    EXPECT_TRUE(pList->IsTrackingMode()) << "the list stays open";
    EXPECT_EQ(1, pEntry->GetChecked());
    // And hidden again.
    pEntry->OnExecute();
    PumpAndIdle();
    EXPECT_TRUE(pShown->GetHideFlags() & xtpHideCustomize);
    m_pStandard->SetTrackingMode(FALSE);
    PumpAndIdle();
}

// Where the system orders the windows, a press on a floating bar (which
// does not activate it) leaves it below the frame's other window over it.
TEST_F(ToolBarWhereTheSystemStacksTest, APressOnAFloatingBarLeavesItWhereItLies)
{
    ASSERT_TRUE(m_pStandard->SetPosition(xtpBarFloating));
    PumpAndIdle();
    HWND hBar = m_pStandard->GetSafeHwnd();
    const CRect rcBar = BarRect(m_pStandard);
    HWND hOver = ::CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, rcBar.left + 20, rcBar.top, 60, 60,
                                   m_pFrame->GetSafeHwnd(), NULL, NULL, NULL);
    ASSERT_TRUE(hOver != NULL);
    ::SetWindowPos(hOver, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    m_pFrame->SetActiveWindow();
    auto IsAbove = [](HWND hWnd, HWND hBelow) {
        for (HWND h = ::GetWindow(hBelow, GW_HWNDPREV); h != NULL; h = ::GetWindow(h, GW_HWNDPREV))
            if (h == hWnd)
                return true;
        return false;
    };
    ASSERT_TRUE(IsAbove(hOver, hBar));
    // A press on a button, disabled so that the press runs nothing.
    CXTPControl* pButton = m_pStandard->GetControls()->GetAt(0);
    ASSERT_NE(nullptr, pButton);
    pButton->SetEnabled(FALSE);
    const CPoint pt = pButton->GetRect().CenterPoint();
    m_pStandard->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    m_pStandard->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    EXPECT_TRUE(IsAbove(hOver, hBar)) << "the bar was lifted";
    pButton->SetEnabled(TRUE);
    ::DestroyWindow(hOver);
}
