// The ribbon's tab strip and popups on a shown frame: the popup of a
// reduced group, keyboard moves from the tab strip, the strip's
// accessibility, snapshots of the ribbon as the frame narrows, and what the
// screen shows of the ribbon's boxes after the frame's layouts.
// ctest: run-serial
#include "ribbon_testframe.h"

#include "XTPCommandBarKeyboardTip.h"
#include "XTPControlComboBox.h"
#include "XTPImageManager.h"
#include "XTPPopupBar.h"
#include "XTPStatusBar.h"
#include "resource.h"
#include "support/mouseinput.h"
#include "support/canvas.h"

#include <vector>

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

using testsupport::MouseInput;

// What the screen shows of a rectangle of a window's client area.
std::vector<COLORREF> ScreenPixels(CWnd* pWnd, CRect rc)
{
    pWnd->ClientToScreen(&rc);
    testsupport::Canvas canvas(rc.Width(), rc.Height());
    HDC hScreen = ::GetDC(NULL);
    ::BitBlt(canvas.Handle(), 0, 0, rc.Width(), rc.Height(), hScreen, rc.left, rc.top, SRCCOPY);
    ::ReleaseDC(NULL, hScreen);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < rc.Height(); y += 2)
        for (int x = 0; x < rc.Width(); x += 2)
            pixels.push_back(::GetPixel(canvas.Handle(), x, y));
    return pixels;
}

using RibbonControlsTest = RibbonSampleTest;
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

TEST_F(RibbonControlsTest, LargeButtonsHavePicturesDrawnAtThirtyTwoPixels)
{
    CXTPRibbonGroup* pPuzzle = m_pRibbon->GetTab(0)->GetGroups()->GetAt(0);
    for (int i = 0; i < pPuzzle->GetCount(); i++)
    {
        CXTPControl* pControl = pPuzzle->GetAt(i);
        if (pControl->GetStyle() != xtpButtonIconAndCaptionBelow)
            continue;
        CXTPImageManagerIcon* pLarge = pControl->GetImage(32);
        ASSERT_TRUE(pLarge != NULL) << i;
        EXPECT_EQ(32, pLarge->GetWidth()) << i;
        EXPECT_EQ(32, pLarge->GetHeight()) << i;
        // Not the small picture.
        EXPECT_NE(pControl->GetImage(16), pLarge) << i;
    }
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
    CXTPPopupBar* pPopup = TopTrackedPopup();
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
    EXPECT_EQ(CString("Home"), CString(bstr)) << "the caption without the access key's '&'";
    ::SysFreeString(bstr);
    ASSERT_EQ(S_OK, pTabs->GetAccessible()->get_accName(var, &bstr));
    EXPECT_EQ(CString("Home"), CString(bstr)) << "read as the strip gives it";
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
    PumpAndIdle();
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

TEST_F(RibbonControlsTest, TheOptionButtonSitsInTheCaptionBandAndRunsItsCommand)
{
    Resize(820, 400);
    CXTPRibbonGroup* pMoves = m_pRibbon->GetTab(0)->GetGroups()->GetAt(1);
    CXTPControl* pOption = pMoves->GetControlGroupOption();
    ASSERT_TRUE(pOption != NULL);
    ASSERT_TRUE(pOption->IsVisible());
    EXPECT_EQ(m_pRibbon, pOption->GetParent());
    // Groups without one show none.
    EXPECT_FALSE(m_pRibbon->GetTab(0)->GetGroups()->GetAt(0)->GetControlGroupOption()->IsVisible());

    // 15 x 14 at the right of the caption band.
    CRect rcGroup = pMoves->GetRect();
    CRect rc = pOption->GetRect();
    int nCaption = m_pFrame->GetTheme()->GetGroupCaptionHeight();
    EXPECT_EQ(CSize(15, 14), rc.Size());
    EXPECT_GE(rc.top, rcGroup.bottom - nCaption);
    EXPECT_LE(rc.bottom, rcGroup.bottom);
    EXPECT_LE(rc.right, rcGroup.right);
    EXPECT_GT(rc.left, rcGroup.CenterPoint().x);

    // Its key tip stands in the band, at its middle, 6 px above the groups' bottom.
    CXTPCommandBars* pBars = m_pFrame->GetCommandBars();
    pBars->ShowKeyboardTips(m_pRibbon, 2);
    CXTPCommandBarKeyboardTip* pOptionTip = NULL;
    for (INT_PTR i = 0; i < pBars->m_arrKeyboardTips.GetSize(); i++)
    {
        CXTPCommandBarKeyboardTip* pTip = (CXTPCommandBarKeyboardTip*)pBars->m_arrKeyboardTips[i];
        if (pTip->m_pOwner == pOption)
            pOptionTip = pTip;
    }
    ASSERT_TRUE(pOptionTip != NULL);
    CPoint ptTip(rc.CenterPoint().x, m_pRibbon->GetGroupsRect().bottom - 6);
    m_pRibbon->ClientToScreen(&ptTip);
    EXPECT_EQ(ptTip, pOptionTip->m_pt);
    pBars->HideKeyboardTips();

    // A real click runs its command.
    m_pRibbon->Redraw(NULL, FALSE);
    PumpAndIdle();
    CPoint pt = rc.CenterPoint();
    m_pRibbon->ClientToScreen(&pt);
    ::SetCursorPos(pt.x, pt.y);
    PumpAndIdle();
    m_pFrame->m_arrCommands.clear();
    INPUT inputs[2] = { MouseInput(MOUSEEVENTF_LEFTDOWN), MouseInput(MOUSEEVENTF_LEFTUP) };
    ::SendInput(2, inputs, sizeof(INPUT));
    EXPECT_TRUE(PumpUntil([this]() { return !m_pFrame->m_arrCommands.empty(); }));
    EXPECT_EQ(std::vector<UINT>{ 2090 }, m_pFrame->m_arrCommands);

    // Another tab hides it; a group reduced to its button shows none, and
    // the group's popup has its own.
    m_pRibbon->SetCurSel(1);
    m_pFrame->Settle();
    EXPECT_FALSE(pOption->IsVisible());
    CXTPRibbonGroup* pHints = m_pRibbon->GetTab(1)->GetGroups()->GetAt(2);
    pHints->ShowOptionButton(TRUE);
    for (int cx = 600; cx >= 260 && !pHints->IsReduced(); cx -= 10)
        Resize(cx, 400);
    ASSERT_TRUE(pHints->IsReduced());
    EXPECT_FALSE(pHints->GetControlGroupOption()->IsVisible());
    m_pRibbon->SetTrackingMode(TRUE, FALSE);
    m_pRibbon->SetPopuped(pHints->GetControlGroupPopup()->GetIndex());
    PumpAndIdle();
    CXTPRibbonGroupPopupToolBar* pGroupPopup = DYNAMIC_DOWNCAST(CXTPRibbonGroupPopupToolBar, TopTrackedPopup());
    ASSERT_TRUE(pGroupPopup != NULL);
    CXTPControl* pPopupOption = pGroupPopup->GetGroup()->GetControlGroupOption();
    ASSERT_TRUE(pPopupOption != NULL);
    EXPECT_TRUE(pPopupOption->IsVisible());
    EXPECT_EQ(pGroupPopup, pPopupOption->GetParent());
    XTPMouseManager()->CloseAllTracked();
    PumpAndIdle();
}

TEST_F(RibbonControlsTest, AGroupAddedAfterTheLayoutIsPaintedWithTheNextLayout)
{
    Resize(820, 400);
    m_pRibbon->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    PumpAndIdle();
    // Empty groups area right of the Home tab's groups, where the new group goes.
    CXTPRibbonGroups* pGroups = m_pRibbon->GetTab(0)->GetGroups();
    int nRight = pGroups->GetAt(pGroups->GetCount() - 1)->GetRect().right;
    CRect rcGroups = m_pRibbon->GetGroupsRect();
    CRect rcProbe(nRight + 12, rcGroups.top + 8, nRight + 40, rcGroups.bottom - 8);
    ASSERT_LT(rcProbe.right, rcGroups.right);
    std::vector<COLORREF> before = ScreenPixels(m_pRibbon, rcProbe);

    CXTPRibbonGroup* pGroup = m_pRibbon->GetTab(0)->AddGroup(_T("Late Group"), 14);
    pGroup->Add(xtpControlButton, ID_TIMER_CLOCK, _T("Late Clock"))->SetStyle(xtpButtonIconAndCaptionBelow);
    // The frame lays out (no Redraw asked for), then paints what is invalid.
    m_pFrame->RecalcLayout();
    m_pRibbon->UpdateWindow();
    PumpAndIdle();
    CRect rcInside;
    ASSERT_TRUE(rcInside.IntersectRect(pGroup->GetRect(), rcProbe));
    ASSERT_EQ(rcProbe, rcInside);
    // The screen shows what was painted a little later under Wine.
    size_t nChanged = 0, nCount = 0;
    PumpUntil([&]() {
        std::vector<COLORREF> after = ScreenPixels(m_pRibbon, rcProbe);
        nChanged = 0;
        nCount = after.size();
        for (size_t i = 0; i < after.size() && i < before.size(); i++)
            nChanged += before[i] != after[i] ? 1 : 0;
        return nChanged > nCount / 4;
    });
    EXPECT_GT(nChanged, nCount / 4) << nChanged << " of " << nCount;
}

// After any layout of the frame nothing of a box's window is painted outside
// that window: the ribbon's caption and tab rows read the same on the screen
// before and after the status bar is toggled (a real click on the tab's
// check box), a toolbar is shown and hidden, and the frame grows and shrinks,
// with the Home tab's Size box and with the View tab's Zoom box shown.
TEST_F(RibbonControlsTest, FrameLayoutsPaintNothingOfABoxOutsideItsWindow)
{
    CXTPRibbonGroup* pFont = m_pRibbon->GetTab(0)->AddGroup(_T("Font"), 15);
    CXTPControlEdit* pSize = DYNAMIC_DOWNCAST(CXTPControlEdit, pFont->Add(xtpControlEdit, 2041, _T("Size")));
    ASSERT_TRUE(pSize != NULL);
    pSize->SetEditText(_T("11"));
    pSize->SetWidth(90);
    CXTPControl* pHomeCheck = pFont->Add(xtpControlCheckBox, ID_VIEW_STATUS_BAR, _T("Status Bar"));
    CXTPRibbonGroup* pZoom = m_pRibbon->GetTab(2)->GetGroups()->GetAt(0);
    CXTPControlComboBox* pZoomBox =
        DYNAMIC_DOWNCAST(CXTPControlComboBox, pZoom->Add(xtpControlComboBox, 2042, _T("Zoom"), 0));
    ASSERT_TRUE(pZoomBox != NULL);
    pZoomBox->SetDropDown(TRUE);   // a box with an edit window
    pZoomBox->AddString(_T("100%"));
    pZoomBox->SetCurSel(0);
    pZoomBox->SetWidth(110);
    CXTPControl* pViewCheck = pZoom->Add(xtpControlCheckBox, ID_VIEW_STATUS_BAR, _T("Status Bar"));
    CXTPStatusBar status;
    ASSERT_TRUE(status.Create(m_pFrame));
    status.SetCommandBars(m_pFrame->GetCommandBars());
    status.AddIndicator(0)->SetText(_T("Ready"));
    CXTPToolBar* pTools = m_pFrame->GetCommandBars()->Add(_T("Tools"), xtpBarBottom);
    ASSERT_TRUE(pTools != NULL);
    pTools->GetControls()->Add(xtpControlButton, ID_NEW_PUZZLE);
    Resize(820, 400);

    const CPoint ptAway(5, 1000);   // off the frame: nothing of the ribbon is hot
    for (int nTab : { 0, 2 })
    {
        CPoint ptTab = m_pRibbon->GetTab(nTab)->GetRect().CenterPoint();
        m_pRibbon->ClientToScreen(&ptTab);
        RealClick(ptTab);
        ASSERT_EQ(m_pRibbon->GetTab(nTab), m_pRibbon->GetSelectedTab());
        CWnd* pBox = nTab == 0 ? (CWnd*)pSize->GetEditCtrl() : (CWnd*)pZoomBox->GetEditCtrl();
        ASSERT_TRUE(pBox != NULL && pBox->IsWindowVisible()) << nTab;
        ::SetCursorPos(ptAway.x, ptAway.y);
        m_pRibbon->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        Settle();
        CRect rcRows(0, 0, m_pRibbon->GetGroupsRect().right, m_pRibbon->GetGroupsRect().top);
        const std::vector<COLORREF> before = ScreenPixels(m_pRibbon, rcRows);
        auto expectRowsUnchanged = [&](const char* pszLayout) {
            ::SetCursorPos(ptAway.x, ptAway.y);
            Settle();
            std::vector<COLORREF> after = ScreenPixels(m_pRibbon, rcRows);
            size_t nChanged = 0;
            for (size_t i = 0; i < after.size() && i < before.size(); i++)
                nChanged += before[i] != after[i] ? 1 : 0;
            EXPECT_EQ(0u, nChanged) << pszLayout << " on tab " << nTab;
        };

        for (int i = 0; i < 2; i++)
        {
            RealClick(ScreenCentre(nTab == 0 ? pHomeCheck : pViewCheck));
            expectRowsUnchanged(i == 0 ? "status bar hidden" : "status bar shown");
        }
        EXPECT_TRUE(status.IsWindowVisible());
        pTools->SetVisible(FALSE);
        expectRowsUnchanged("toolbar hidden");
        pTools->SetVisible(TRUE);
        expectRowsUnchanged("toolbar shown");
        m_pFrame->SetWindowPos(NULL, 0, 0, 820, 440, SWP_NOMOVE | SWP_NOZORDER);
        expectRowsUnchanged("frame taller");
        m_pFrame->SetWindowPos(NULL, 0, 0, 820, 400, SWP_NOMOVE | SWP_NOZORDER);
        expectRowsUnchanged("frame shorter");
        // Whatever lays the box out elsewhere for a moment.
        CXTPControl* pBoxControl = nTab == 0 ? (CXTPControl*)pSize : (CXTPControl*)pZoomBox;
        const CRect rcBox = pBoxControl->GetRect();
        pBoxControl->SetRect(rcBox - CPoint(0, m_pRibbon->GetGroupsRect().top));
        pBoxControl->SetRect(rcBox);
        expectRowsUnchanged("box moved up and back");
        EXPECT_TRUE(SaveScreenPicture(m_pFrame->m_hWnd, nTab == 0 ? "boxes_laid_out_home" : "boxes_laid_out_view"));
    }
}
