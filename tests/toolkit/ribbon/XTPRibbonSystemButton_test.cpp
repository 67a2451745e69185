// The ribbon's system button and menu: the bottom button strip, the
// recent-file column (its items, numbered captions, tooltips and the ids it
// replaces), file titles of any length, the exclusion rectangle over the
// ribbon, the transparent part over the button, the menu open on a ribbon
// frame (snapshot), and real clicks on the button, also where the menu covers
// it, closing the menu.
// ctest: run-serial
#include "ribbon_testframe.h"

#include <ostream>
#include <vector>

#include "XTPControlGallery.h"
#include "XTPImageManager.h"
#include "XTPPopupBar.h"
#include "XTPRibbonSystemButton.h"
#include "resource.h"
#include "support/canvas.h"
#include "support/mouseinput.h"
#include "support/snapshot.h"

using namespace ribbontest;

void PrintTo(const CRect& rc, std::ostream* os)
{
    *os << "(" << rc.left << ", " << rc.top << ", " << rc.right << ", " << rc.bottom << ")";
}

namespace
{
// A bottom-strip button of a fixed width.
class FixedButton : public CXTPRibbonControlSystemPopupBarButton
{
public:
    explicit FixedButton(int cx) : m_cx(cx) {}
    CSize GetSize(CDC*) override { return CSize(m_cx, 22); }
    int m_cx;
};

// The recent-file column over a list the test owns.
class TestRecentFiles : public CXTPRibbonControlSystemRecentFileList
{
public:
    CRecentFileList* GetRecentFileList() override { return m_pList; }
    CRecentFileList* m_pList = NULL;
};

// The four paths of the checks; the third is empty, so the list stops there.
void FillFourPaths(CRecentFileList& list)
{
    list[0] = _T("C:\\a\\x.hti");
    list[1] = _T("C:\\b\\A&B.hti");
    list[2] = _T("");
    list[3] = _T("C:\\d.hti");
}

class SystemMenuTest : public ::testing::Test
{
protected:
    void SetUp() override { m_nLive = LiveObjects(); }
    void TearDown() override
    {
        if (m_pFrame != NULL)
        {
            XTPMouseManager()->CloseAllTracked();
            m_pFrame->DestroyRibbonFrame();
        }
        PumpAndIdle();
        EXPECT_EQ(m_nLive, LiveObjects());
    }
    // A shown ribbon frame with the sample tabs and a system button whose
    // menu has commands, a recent-file column and three bottom buttons.
    void OpenFrame(const CRect& rcFrame = CRect(20, 20, 760, 520))
    {
        m_pFrame = new CRibbonFrame();
        ASSERT_TRUE(m_pFrame->CreateRibbonFrame(rcFrame, TRUE));
        m_pFrame->SetForegroundWindow();
        m_pRibbon = m_pFrame->GetRibbon();
        m_pFrame->BuildSample();
        m_pRibbon->EnableFrameTheme(TRUE);

        m_pSystem = new CXTPRibbonControlSystemButton();
        m_pSystem->SetCaption(_T("&File"));
        m_pSystem->SetIconId(ID_NEW_PUZZLE);
        CXTPRibbonSystemPopupBar* pMenu = new CXTPRibbonSystemPopupBar();
        pMenu->SetCommandBars(m_pFrame->GetCommandBars());
        m_pSystem->SetCommandBar(pMenu);
        pMenu->InternalRelease();
        m_pRibbon->GetControls()->Add(m_pSystem, 2090);
        m_pRibbon->SetSystemButton(m_pSystem);

        CXTPControls* pControls = pMenu->GetControls();
        const struct { int nId; const char* pszCaption; } commands[] = {
            { ID_NEW_PUZZLE, "&New Puzzle" }, { 2060, "&Open Puzzle..." }, { ID_SAVE_PUZZLE, "&Save" },
            { 2061, "Save &As..." }, { 2062, "&Print..." } };
        for (const auto& command : commands)
        {
            CXTPControl* pControl = pControls->Add(xtpControlButton, command.nId);
            pControl->SetCaption(command.pszCaption);
        }
        m_pRecent = new TestRecentFiles();
        m_pRecent->m_pList = &m_list;
        pControls->Add(m_pRecent, 2091);
        m_pRecent->SetCaption(_T("Recent Puzzles"));
        CXTPControl* pOptions = pControls->Add(new CXTPRibbonControlSystemPopupBarButton(), 2092);
        pOptions->SetCaption(_T("Options"));
        pOptions->SetStyle(xtpButtonCaption);
        CXTPControl* pExit = pControls->Add(new CXTPRibbonControlSystemPopupBarButton(), 2093);
        pExit->SetCaption(_T("Exit Brindlemark"));
        pExit->SetStyle(xtpButtonCaption);
        m_pFrame->Settle();
    }

    LONG m_nLive = 0;
    CRecentFileList m_list{ 0, _T("Recent File List"), _T("File%d"), 4 };
    CRibbonFrame* m_pFrame = NULL;
    CXTPRibbonBar* m_pRibbon = NULL;
    CXTPRibbonControlSystemButton* m_pSystem = NULL;
    TestRecentFiles* m_pRecent = NULL;
};
} // namespace

TEST_F(SystemMenuTest, BottomButtonsStandRightAlignedInTheBottomStrip)
{
    CXTPRibbonSystemPopupBar* pMenu = new CXTPRibbonSystemPopupBar();
    EXPECT_EQ(CRect(6, 18, 6, 29), pMenu->GetBorders());
    // A 388 pixel wide content: an item column of 88 and a list column of 300.
    CXTPRibbonControlSystemPopupBarListItem* pItem = new CXTPRibbonControlSystemPopupBarListItem();
    pItem->SetWidth(88);
    pMenu->GetControls()->Add(pItem, 2001);
    pMenu->GetControls()->Add(new CXTPRibbonControlSystemPopupBarListCaption(), 2002);
    CXTPControl* pButtons[3] = { pMenu->GetControls()->Add(new FixedButton(80), 2003),
                                 pMenu->GetControls()->Add(new FixedButton(60), 2004),
                                 pMenu->GetControls()->Add(new FixedButton(70), 2005) };
    CSize sz = pMenu->CalcDynamicLayout(0, LM_COMMIT | LM_HORZ | LM_POPUP);
    ASSERT_EQ(400, sz.cx);
    EXPECT_EQ(CRect(173, sz.cy - 25, 253, sz.cy - 3), pButtons[0]->GetRect());
    EXPECT_EQ(CRect(259, sz.cy - 25, 319, sz.cy - 3), pButtons[1]->GetRect());
    EXPECT_EQ(CRect(325, sz.cy - 25, 395, sz.cy - 3), pButtons[2]->GetRect());
    for (CXTPControl* pButton : pButtons)
        EXPECT_EQ(0u, pButton->GetHideFlags() & xtpHideExcluded) << "back in the bar after the layout";
    EXPECT_EQ(18 + 27 + 29, sz.cy) << "the strip does not take room from the columns";
    EXPECT_TRUE(pMenu->GetControl(1)->GetWrap()) << "the list caption begins the second column";
    pMenu->InternalRelease();
}

TEST_F(SystemMenuTest, RecentFilesListUpToTheFirstEmptyPathWithNumberedCaptions)
{
    FillFourPaths(m_list);
    CXTPPopupBar* pMenu = new CXTPRibbonSystemPopupBar();
    TestRecentFiles* pRecent = new TestRecentFiles();
    pRecent->m_pList = &m_list;
    pMenu->GetControls()->Add(pRecent, 2091);
    CXTPControl* pAfter = pMenu->GetControls()->Add(xtpControlButton, 57616 + 4);   // first id + size

    for (int nPass = 0; nPass < 2; nPass++)
    {
        pRecent->OnCalcDynamicSize(0);
        ASSERT_EQ(4, pMenu->GetControlCount()) << "pass " << nPass;
        CXTPControl* pFirst = pMenu->GetControl(1);
        CXTPControl* pSecond = pMenu->GetControl(2);
        EXPECT_TRUE(pFirst->IsKindOf(RUNTIME_CLASS(CXTPRibbonControlSystemPopupBarListItem)));
        EXPECT_EQ(57616, pFirst->GetID());
        EXPECT_EQ(57617, pSecond->GetID());
        EXPECT_STREQ("&1 x.hti", pFirst->GetCaption());
        EXPECT_STREQ("&2 A&&B.hti", pSecond->GetCaption());
        EXPECT_STREQ("C:\\a\\x.hti", pFirst->GetTooltip());
        EXPECT_STREQ("C:\\b\\A&B.hti", pSecond->GetTooltip());
        EXPECT_EQ(72u, pFirst->GetFlags());
        EXPECT_EQ(CSize(300, 21), pFirst->GetSize(NULL));
        EXPECT_EQ(pAfter, pMenu->GetControl(3)) << "the control with id first + size is not an old item";
    }

    // Fewer files: the old items go.
    m_list[1] = _T("");
    pRecent->OnCalcDynamicSize(0);
    EXPECT_EQ(3, pMenu->GetControlCount());
    pMenu->InternalRelease();
}

TEST_F(SystemMenuTest, NoListOrNoNamesAddsNothing)
{
    CXTPPopupBar* pMenu = new CXTPRibbonSystemPopupBar();
    TestRecentFiles* pRecent = new TestRecentFiles();
    pMenu->GetControls()->Add(pRecent, 2091);
    pRecent->OnCalcDynamicSize(0);
    EXPECT_EQ(1, pMenu->GetControlCount());
    pRecent->m_pList = &m_list;
    pRecent->OnCalcDynamicSize(0);
    EXPECT_EQ(1, pMenu->GetControlCount()) << "an empty list";
    pMenu->InternalRelease();
}

TEST_F(SystemMenuTest, FileTitlesKeepNamesOfAnyLength)
{
    EXPECT_STREQ("x.hti", CXTPRibbonControlSystemRecentFileList::GetFileTitle("C:\\a\\x.hti"));
    EXPECT_STREQ("d.hti", CXTPRibbonControlSystemRecentFileList::GetFileTitle("C:d.hti"));
    EXPECT_STREQ("plain", CXTPRibbonControlSystemRecentFileList::GetFileTitle("plain"));
    // A registry path far longer than MAX_PATH keeps its whole name.
    CString strName('n', 400);
    strName += _T(".hti");
    CString strPath = _T("C:\\") + CString('d', 300) + _T("\\") + strName;
    EXPECT_EQ(strName, CXTPRibbonControlSystemRecentFileList::GetFileTitle(strPath));

    // As a menu caption too.
    m_list[0] = strPath;
    CXTPPopupBar* pMenu = new CXTPRibbonSystemPopupBar();
    TestRecentFiles* pRecent = new TestRecentFiles();
    pRecent->m_pList = &m_list;
    pMenu->GetControls()->Add(pRecent, 2091);
    pRecent->OnCalcDynamicSize(0);
    ASSERT_EQ(2, pMenu->GetControlCount());
    EXPECT_EQ(_T("&1 ") + strName, pMenu->GetControl(1)->GetCaption());
    pMenu->InternalRelease();
}

TEST_F(SystemMenuTest, ClonesKeepTheirClasses)
{
    CXTPControl* controls[] = { new CXTPRibbonControlSystemButton(), new CXTPRibbonControlSystemPopupBarButton(),
                                new CXTPRibbonControlSystemPopupBarListItem(),
                                new CXTPRibbonControlSystemPopupBarListCaption(),
                                new CXTPRibbonControlSystemRecentFileList() };
    for (CXTPControl* pControl : controls)
    {
        CXTPControl* pClone = pControl->Clone(FALSE);
        EXPECT_EQ(pControl->GetRuntimeClass(), pClone->GetRuntimeClass());
        EXPECT_EQ(pControl->GetFlags(), pClone->GetFlags());
        pClone->InternalRelease();
        pControl->InternalRelease();
    }
    EXPECT_EQ(24u, CXTPRibbonControlSystemButton().GetFlags());
    EXPECT_EQ(154u, CXTPRibbonControlSystemPopupBarListCaption().GetFlags());
    CXTPCommandBar* bars[] = { new CXTPRibbonSystemPopupBar(), new CXTPRibbonSystemPopupBarPage() };
    for (CXTPCommandBar* pBar : bars)
    {
        CXTPCommandBar* pClone = pBar->Clone(FALSE);
        EXPECT_EQ(pBar->GetRuntimeClass(), pClone->GetRuntimeClass());
        pClone->InternalRelease();
        pBar->InternalRelease();
    }
}

TEST_F(SystemMenuTest, TheMenuOpensOverTheButtonWithRecentFiles)
{
    OpenFrame();
    FillFourPaths(m_list);
    ASSERT_EQ(m_pSystem, m_pRibbon->GetSystemButton());

    // Over a ribbon that shows its caption and tabs the menu overlaps the
    // button's lower part; elsewhere the popup rule applies.
    CRect rcExclude(0, 0, 50, 50);
    m_pSystem->AdjustExcludeRect(rcExclude, FALSE);
    if (m_pRibbon->IsCaptionVisible() && m_pRibbon->IsTabsVisible())
    {
        EXPECT_EQ(32, rcExclude.bottom);
    }

    m_pRibbon->SetTrackingMode(TRUE, FALSE);
    m_pRibbon->SetPopuped(m_pSystem->GetIndex());
    PumpAndIdle();
    CXTPRibbonSystemPopupBar* pMenu = DYNAMIC_DOWNCAST(CXTPRibbonSystemPopupBar, TopTrackedPopup());
    ASSERT_TRUE(pMenu != NULL);
    ASSERT_TRUE(pMenu->IsWindowVisible());
    EXPECT_EQ(m_pSystem, pMenu->GetSystemButton());

    // The recent files follow their caption in the second column.
    int nRecent = m_pRecent->GetIndex();
    ASSERT_LT(nRecent + 2, pMenu->GetControlCount());
    EXPECT_STREQ("&1 x.hti", pMenu->GetControl(nRecent + 1)->GetCaption());
    EXPECT_STREQ("&2 A&&B.hti", pMenu->GetControl(nRecent + 2)->GetCaption());
    EXPECT_TRUE(m_pRecent->GetWrap());
    CRect rcClient;
    pMenu->GetClientRect(&rcClient);
    CRect rcExit = pMenu->GetControl(pMenu->GetControlCount() - 1)->GetRect();
    EXPECT_EQ(rcClient.right - 5, rcExit.right) << "the last bottom button ends at the right border";
    EXPECT_EQ(rcClient.bottom - 3, rcExit.bottom);

    // Where the menu covers the button, clicks pass through to it.
    CRect rcButton = m_pSystem->GetRect();
    m_pRibbon->ClientToScreen(&rcButton);
    CRect rcMenu;
    pMenu->GetWindowRect(&rcMenu);
    CRect rcOver;
    if (rcOver.IntersectRect(rcButton, rcMenu))
    {
        EXPECT_EQ(HTTRANSPARENT, pMenu->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(rcOver.left, rcOver.top)));
    }
    CPoint ptInside(rcMenu.left + 20, rcMenu.bottom - 40);
    EXPECT_NE(HTTRANSPARENT, pMenu->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(ptInside.x, ptInside.y)));

    // Hover the first recent file so its highlight shows.
    pMenu->SetSelected(nRecent + 1);
    pMenu->RedrawWindow();
    m_pRibbon->RedrawWindow();
    PumpAndIdle();
    EXPECT_TRUE(SaveScreenPicture(m_pFrame->m_hWnd, "ribbon_system_menu"));
    XTPMouseManager()->CloseAllTracked();
    PumpAndIdle();
}

TEST_F(SystemMenuTest, RealClicksOpenTheMenuAndAPageBesideItsListBelowTheCaptionBand)
{
    // Well away from the screen's corner, so that a coordinate converted
    // twice would land visibly elsewhere.
    OpenFrame(CRect(300, 200, 1040, 700));
    FillFourPaths(m_list);
    CXTPRibbonSystemPopupBar* pMenu = DYNAMIC_DOWNCAST(CXTPRibbonSystemPopupBar, m_pSystem->GetCommandBar());
    CXTPRibbonSystemPopupBarPage* pPage = new CXTPRibbonSystemPopupBarPage();
    pPage->SetCommandBars(m_pFrame->GetCommandBars());
    pPage->GetControls()->Add(xtpControlButton, 2064)->SetCaption(_T("Save as &Puzzle"));
    pPage->GetControls()->Add(xtpControlButton, 2065)->SetCaption(_T("Save as &Picture"));
    CXTPControlPopup* pSaveAs = (CXTPControlPopup*)pMenu->GetControls()->Add(xtpControlPopup, 2063, NULL,
                                                                              m_pRecent->GetIndex());
    pSaveAs->SetCaption(_T("Save &Copy"));
    pSaveAs->SetCommandBar(pPage);
    pPage->InternalRelease();
    m_pFrame->Settle();

    auto clickAt = [](CPoint ptScreen) {
        ::SetCursorPos(ptScreen.x, ptScreen.y);
        PumpAndIdle();
        testsupport::SendInputs({ testsupport::MouseInput(MOUSEEVENTF_LEFTDOWN),
                                  testsupport::MouseInput(MOUSEEVENTF_LEFTUP) });
    };
    auto shownPopupOf = [](CXTPControl* pControl) -> CXTPPopupBar* {
        CXTPPopupBar* pPopup = TopTrackedPopup();
        return pPopup != NULL && pPopup->GetControlPopup() == pControl && pPopup->IsWindowVisible() ? pPopup
                                                                                                     : NULL;
    };

    // The system button opens the menu below it.
    CRect rcButton = m_pSystem->GetRect();
    m_pRibbon->ClientToScreen(&rcButton);
    clickAt(rcButton.CenterPoint());
    ASSERT_TRUE(PumpUntil([&]() { return shownPopupOf(m_pSystem) != NULL; }));
    CRect rcMenu;
    pMenu->GetWindowRect(&rcMenu);
    EXPECT_EQ(rcButton.left, rcMenu.left);
    EXPECT_LT(rcMenu.top, rcButton.bottom) << "the menu overlaps the button's lower part";
    EXPECT_GT(rcMenu.top, rcButton.top);

    // The item opens its page beside the item list, its top just below
    // the menu's caption band.
    CRect rcItem = pSaveAs->GetRect();
    pMenu->ClientToScreen(&rcItem);
    clickAt(rcItem.CenterPoint());
    ASSERT_TRUE(PumpUntil([&]() { return shownPopupOf(pSaveAs) != NULL; }));
    CRect rcPage;
    pPage->GetWindowRect(&rcPage);
    CPoint ptCorner(pSaveAs->GetRect().right + 1, pMenu->GetBorders().top + 1);
    pMenu->ClientToScreen(&ptCorner);
    EXPECT_EQ(ptCorner.x, rcPage.left);
    EXPECT_EQ(ptCorner.y, rcPage.top);
    EXPECT_GE(rcPage.Height(), rcMenu.Height() - 29 - 18 - 2) << "as tall as the menu's columns";
    EXPECT_LE(rcPage.bottom, rcMenu.bottom);
    pPage->RedrawWindow();
    PumpAndIdle();
    EXPECT_TRUE(SaveScreenPicture(m_pFrame->m_hWnd, "ribbon_system_menu_page"));

    // A page command runs and closes the menu.
    CRect rcCommand = pPage->GetControl(0)->GetRect();
    pPage->ClientToScreen(&rcCommand);
    clickAt(rcCommand.CenterPoint());
    EXPECT_TRUE(PumpUntil([]() { return TopTrackedPopup() == NULL; }));
    EXPECT_TRUE(PumpUntil([&]() {
        return !m_pFrame->m_arrCommands.empty() && m_pFrame->m_arrCommands.back() == 2064;
    }));
}

TEST_F(SystemMenuTest, AClickAnywhereOnTheButtonClosesItsOpenMenu)
{
    OpenFrame(CRect(300, 200, 1040, 700));
    CXTPPopupBar* pMenu = DYNAMIC_DOWNCAST(CXTPPopupBar, m_pSystem->GetCommandBar());
    ASSERT_TRUE(pMenu != NULL);
    CRect rcButton = m_pSystem->GetRect();
    m_pRibbon->ClientToScreen(&rcButton);
    auto menuShown = [&]() { return pMenu->GetSafeHwnd() != NULL && pMenu->IsWindowVisible(); };
    // What the screen shows along a line across the menu's body.
    auto screenLine = [](CPoint ptFrom) {
        std::vector<COLORREF> arrPixels;
        HDC hScreen = ::GetDC(NULL);
        for (int x = 0; x < 60; x++)
            arrPixels.push_back(::GetPixel(hScreen, ptFrom.x + x, ptFrom.y));
        ::ReleaseDC(NULL, hScreen);
        return arrPixels;
    };

    RealClick(rcButton.CenterPoint());
    ASSERT_TRUE(PumpUntil(menuShown));
    CRect rcMenu;
    pMenu->GetWindowRect(&rcMenu);
    const CPoint ptCovered(rcButton.CenterPoint().x, rcMenu.top + 2);
    const CPoint ptUncovered(rcButton.CenterPoint().x, (rcButton.top + rcMenu.top) / 2);
    ASSERT_TRUE(rcButton.PtInRect(ptCovered) && rcMenu.PtInRect(ptCovered)) << "the menu covers the button there";
    ASSERT_FALSE(rcMenu.PtInRect(ptUncovered));
    const CPoint ptBody(rcMenu.left + 10, rcMenu.CenterPoint().y);
    ASSERT_EQ(pMenu->m_hWnd, ::WindowFromPoint(ptBody));
    const std::vector<COLORREF> arrOpen = screenLine(ptBody);

    // Where the menu covers the button, just inside the menu's top edge: the
    // menu goes from the screen and the release does not open it again.
    RealClick(ptCovered);
    EXPECT_TRUE(PumpUntil([&]() { return !menuShown(); })) << "a click on the covered part";
    PumpAndIdle();
    EXPECT_FALSE(menuShown());
    EXPECT_NE(pMenu->m_hWnd, ::WindowFromPoint(ptBody));
    EXPECT_NE(arrOpen, screenLine(ptBody));
    EXPECT_TRUE(TopTrackedPopup() == NULL);

    // The part above the menu closes it too.
    RealClick(rcButton.CenterPoint());
    ASSERT_TRUE(PumpUntil(menuShown));
    RealClick(ptUncovered);
    EXPECT_TRUE(PumpUntil([&]() { return !menuShown(); })) << "a click on the uncovered part";
    EXPECT_NE(arrOpen, screenLine(ptBody));

    // Without the caption the button stands in the tab row, the menu below it.
    m_pRibbon->EnableFrameTheme(FALSE);
    m_pRibbon->ShowCaption(FALSE);
    m_pFrame->Settle();
    ASSERT_FALSE(m_pRibbon->IsCaptionVisible());
    RealClick(ScreenCentre(m_pSystem));
    ASSERT_TRUE(PumpUntil(menuShown));
    RealClick(ScreenCentre(m_pSystem));
    EXPECT_TRUE(PumpUntil([&]() { return !menuShown(); })) << "a click on the button in the tab row";
    PumpAndIdle();
    EXPECT_FALSE(menuShown());
}

TEST_F(SystemMenuTest, AWideIconIsTheWholeButtonAndWithoutOneTheFramesIconShows)
{
    OpenFrame();
    CXTPRibbonTheme* pTheme = m_pFrame->GetTheme();
    ASSERT_TRUE(pTheme->LoadImage(_T("FRAMESYSTEMBUTTON")) != NULL);
    const CRect rcButton(0, 0, 60, 60);
    const CPoint ptCentre = rcButton.CenterPoint();
    auto Draw = [&](testsupport::Canvas& canvas) {
        canvas.DC()->FillSolidRect(rcButton, RGB(0, 255, 0));
        pTheme->DrawSystemButton(canvas.DC(), m_pSystem, rcButton);
    };

    // A 48 x 48 icon of its own: drawn alone, centred; the round frame
    // picture around it is not drawn, so its corner shows the background.
    HICON hWide = testsupport::MakeClassicIcon(48, 48, [](int, int) { return RGB(0, 0, 255); },
                                               [](int, int) { return true; });
    ASSERT_TRUE(m_pFrame->GetCommandBars()->GetImageManager()->SetIcon(hWide, 2094, CSize(48, 48)));
    ::DestroyIcon(hWide);
    m_pSystem->SetIconId(2094);
    testsupport::Canvas wide(rcButton.Width(), rcButton.Height());
    Draw(wide);
    EXPECT_EQ(RGB(0, 0, 255), wide.Pixel(ptCentre.x - 23, ptCentre.y - 23));
    EXPECT_EQ(RGB(0, 0, 255), wide.Pixel(ptCentre.x + 22, ptCentre.y + 22));
    EXPECT_EQ(RGB(0, 255, 0), wide.Pixel(ptCentre.x - 25, ptCentre.y));
    EXPECT_EQ(RGB(0, 255, 0), wide.Pixel(ptCentre.x, ptCentre.y + 25));

    // No icon of its own: the frame's large icon, 32 x 32, centred on the
    // frame picture.
    HICON hFrameIcon = testsupport::MakeClassicIcon(32, 32, [](int, int) { return RGB(255, 0, 0); },
                                                    [](int, int) { return true; });
    HICON hOld = m_pFrame->SetIcon(hFrameIcon, TRUE);
    m_pSystem->SetIconId(2095);
    testsupport::Canvas plain(rcButton.Width(), rcButton.Height());
    Draw(plain);
    EXPECT_EQ(RGB(255, 0, 0), plain.Pixel(ptCentre.x - 15, ptCentre.y - 15));
    EXPECT_EQ(RGB(255, 0, 0), plain.Pixel(ptCentre.x + 15, ptCentre.y + 15));
    EXPECT_NE(RGB(255, 0, 0), plain.Pixel(ptCentre.x - 18, ptCentre.y));
    EXPECT_FALSE(testsupport::SaveSnapshot(plain, "system_button_frame_icon").empty());
    m_pFrame->SetIcon(hOld, TRUE);
    ::DestroyIcon(hFrameIcon);
}

// From the keyboard: Alt, then the button's tip opens the menu, where the
// letter marked after a literal "&&" runs its command; Escape steps back one
// level at a time: the menu closes and the top-level tips show again, then
// the keyboard mode ends.
TEST_F(SystemMenuTest, KeyTipsOpenTheMenuAndEscapeStepsBackOneLevel)
{
    OpenFrame();
    CXTPCommandBars* pBars = m_pFrame->GetCommandBars();
    m_pSystem->GetCommandBar()->GetControls()->Add(xtpControlButton, 2063)->SetCaption(_T("Print && S&hare"));
    m_pFrame->Settle();

    TypeKeys(m_pFrame, {VK_MENU});
    const std::vector<CString> topTips = TipCaptions(pBars);
    ASSERT_FALSE(topTips.empty());
    // FI: the Format tab's tip starts with F too.
    TypeKeys(m_pFrame, {'F', 'I'});
    ASSERT_EQ(m_pSystem->GetCommandBar(), TopTrackedPopup());
    TypeKeys(m_pFrame, {'H'});
    EXPECT_EQ(std::vector<UINT>{2063}, m_pFrame->m_arrCommands);
    EXPECT_TRUE(TopTrackedPopup() == NULL);

    TypeKeys(m_pFrame, {VK_MENU, 'F', 'I', VK_ESCAPE});
    EXPECT_TRUE(TopTrackedPopup() == NULL);
    EXPECT_TRUE(m_pRibbon->IsTrackingMode());
    EXPECT_EQ(m_pRibbon, pBars->GetKeyboardTipsOwner());
    EXPECT_EQ(topTips, TipCaptions(pBars));
    TypeKeys(m_pFrame, {VK_ESCAPE});
    EXPECT_FALSE(m_pRibbon->IsTrackingMode());
    EXPECT_TRUE(TipCaptions(pBars).empty());
}
