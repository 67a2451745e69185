// The Customize sheet on the test frame's bars (menu bar 1, Standard 102,
// Timer 130): the sheet's own modal run, the Toolbars page with its
// new-toolbar dialog, the Options page, the Commands page with the drag
// tracker, the customise context menu 9121, and what the hooks let through.
// ctest: run-serial (a modal sheet and popups that read the screen)
#include "support/commandbars_testframe.h"
#include "XTPCustomizeSheet.h"
#include "XTPCustomizeToolbarsPage.h"
#include "XTPCustomizeCommandsPage.h"
#include "XTPCustomizeOptionsPage.h"
#include "XTPCustomizeDragTracker.h"
#include "XTPCustomizeResource.h"
#include "XTPResourceManager.h"
#include "XTPImageManager.h"
#include "XTPCommandBarsOptions.h"
#include "XTPControlButton.h"
#include "XTPControlExtras.h"
#include "XTPPopupBar.h"
#include "XTPSheetTabCtrl.h"
#include "XTPPropExchange.h"
#include "XTPDCHelpers.h"
#include "support/canvas.h"
#include "support/modal.h"
#include "support/snapshot.h"
#include "support/wndtest.h"

#include <functional>
#include <set>

using namespace cbtest;
using testsupport::Canvas;
using testsupport::ModalDriver;

namespace
{
std::function<void()> s_pfnTimer;
void CALLBACK RunTimerFunction(HWND, UINT, UINT_PTR, DWORD)
{
    if (s_pfnTimer)
        s_pfnTimer();
}

// An update record that remembers what the handler said.
struct RecordingCmdUI : public CCmdUI
{
    BOOL bEnabled = FALSE;
    int nCheck = -1;
    void Enable(BOOL bOn) override { bEnabled = bOn; }
    void SetCheck(int n) override { nCheck = n; }
};

class CustomizeTest : public CommandBarsFrameTest
{
protected:
    void SetUp() override
    {
        CommandBarsFrameTest::SetUp();
        if (HasFatalFailure())
            return;
        m_pStandard = m_pFrame->GetStandardBar();
        m_pFrame->SetForegroundWindow();
        PumpAndIdle();
        testsupport::Boxes().texts.clear();
        testsupport::Boxes().nAnswer = IDOK;
    }
    void TearDown() override
    {
        CommandBarsFrameTest::TearDown();
        testsupport::Boxes().nAnswer = IDOK;
    }
    // Runs the sheet modally; pfnBody runs inside its loop, then the sheet
    // is closed with its Close button. Answers DoModal's result.
    INT_PTR RunSheet(CXTPCustomizeSheet& sheet, std::function<void(CXTPCustomizeSheet&)> pfnBody)
    {
        bool bRan = false;
        ModalDriver driver([&](HWND hDlg) {
            ModalDriver::ShowNow(hDlg);
            PumpAndIdle();
            pfnBody(sheet);
            bRan = true;
            ::PostMessage(hDlg, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
        });
        INT_PTR nResult = sheet.DoModal();
        EXPECT_TRUE(bRan) << "the sheet never showed";
        return nResult;
    }
    // Standard sheet as the game builds it: Options page and the commands
    // page's categories from menu 102.
    void FillCommands(CXTPCustomizeSheet& sheet)
    {
        CXTPCustomizeCommandsPage* pCommands = sheet.GetCommandsPage();
        ASSERT_TRUE(pCommands->AddCategories(IDR_MAINFRAME, FALSE));
        pCommands->InsertAllCommandsCategory(XTP_IDS_ALL_COMMANDS, -1);
        pCommands->InsertBuiltInMenus(IDR_MAINFRAME, XTP_IDS_BUILTINMENUS, -1);
        pCommands->InsertNewMenuCategory(XTP_IDS_NEWMENU, -1);
    }
    std::vector<CString> ListedToolbars(CXTPCustomizeToolbarsPage* pPage)
    {
        std::vector<CString> names;
        for (int i = 0; i < pPage->m_checkList.GetCount(); i++)
        {
            CString str;
            pPage->m_checkList.GetText(i, str);
            names.push_back(str);
        }
        return names;
    }
    int FindListed(CXTPCustomizeToolbarsPage* pPage, LPCTSTR lpszName)
    {
        std::vector<CString> names = ListedToolbars(pPage);
        for (size_t i = 0; i < names.size(); i++)
        {
            if (names[i] == lpszName)
                return (int)i;
        }
        return -1;
    }
    void SelectListed(CXTPCustomizeToolbarsPage* pPage, LPCTSTR lpszName)
    {
        int nItem = FindListed(pPage, lpszName);
        ASSERT_NE(-1, nItem) << lpszName;
        pPage->m_checkList.SetCurSel(nItem);
        pPage->OnSelectionChanged();
    }
    // Runs a command that opens the new-toolbar dialog; pfnDialog gets it.
    void WithNewToolbarDialog(CXTPCustomizeSheet& sheet, std::function<void(HWND)> pfnDialog,
                              std::function<void()> pfnCommand)
    {
        bool bRan = false;
        ModalDriver driver(
            [&](HWND hDlg) {
                pfnDialog(hDlg);
                bRan = true;
            },
            sheet.GetSafeHwnd());
        pfnCommand();
        EXPECT_TRUE(bRan) << "the new-toolbar dialog never showed";
    }
    static CString DlgText(HWND hDlg, int nID)
    {
        char sz[256] = "";
        ::GetDlgItemTextA(hDlg, nID, sz, sizeof(sz));
        return CString(sz);
    }
    // Queues a mouse move over the screen point (as the capture window will
    // get it) and a left-button release there.
    void QueueDrop(HWND hWndCapture, CPoint ptScreen, WPARAM wKeys = MK_LBUTTON, bool bRelease = true)
    {
        CPoint pt = ptScreen;
        ::ScreenToClient(hWndCapture, &pt);
        ::PostMessage(hWndCapture, WM_MOUSEMOVE, wKeys, MAKELPARAM(pt.x, pt.y));
        if (bRelease)
            ::PostMessage(hWndCapture, WM_LBUTTONUP, wKeys & ~MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    }
    // What the screen shows of the sheet, painted and on top.
    void SnapSheet(CXTPCustomizeSheet& s, const char* pszName)
    {
        s.SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
        s.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
        PumpAndIdle();
        EXPECT_TRUE(SaveScreenSnapshot(s.m_hWnd, pszName));
    }
    CPoint ScreenCentre(CXTPControl* pControl)
    {
        CRect rc = pControl->GetRect();
        CPoint pt = rc.CenterPoint();
        pControl->GetParent()->ClientToScreen(&pt);
        return pt;
    }

    CXTPToolBar* m_pStandard = NULL;
};
} // namespace

TEST_F(CustomizeTest, TheSheetPutsTheBarsIntoCustomizeModeAndRefusesASecondRun)
{
    CXTPCustomizeSheet sheet(m_pCommandBars);
    EXPECT_EQ(2, sheet.GetPageCount()) << "Toolbars and Commands come with the sheet";
    INT_PTR nResult = RunSheet(sheet, [&](CXTPCustomizeSheet& s) {
        EXPECT_TRUE(m_pCommandBars->IsCustomizeMode());
        EXPECT_TRUE(CXTPCustomizeSheet::IsRunning());
        EXPECT_EQ(&s, m_pCommandBars->GetCustomizeSheet());
        EXPECT_TRUE(m_pFrame->IsWindowEnabled()) << "the frame's bars take drops while the sheet is open";
        CXTPCustomizeSheet second(m_pCommandBars);
        EXPECT_EQ(IDCANCEL, second.DoModal()) << "a second sheet opens nothing";
        EXPECT_EQ(&s, m_pCommandBars->GetCustomizeSheet());
        EXPECT_EQ(_T("Customize"), [&] { CString str; s.GetWindowText(str); return str; }());
        EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(s.m_hWnd, IDOK))) << "OK is hidden";
        EXPECT_EQ(_T("Close"), DlgText(s.m_hWnd, IDCANCEL));
        CRect rcSheet, rcFrame;
        s.GetWindowRect(&rcSheet);
        m_pFrame->GetWindowRect(&rcFrame);
        EXPECT_NEAR(rcFrame.CenterPoint().x, rcSheet.CenterPoint().x, 1) << "the sheet opens centred over the frame";
        EXPECT_NEAR(rcFrame.CenterPoint().y, rcSheet.CenterPoint().y, 1);
        // While the sheet runs the frame swallows WM_CLOSE.
        EXPECT_EQ(0, m_pFrame->SendMessage(WM_CLOSE));
        EXPECT_TRUE(::IsWindow(m_pFrame->m_hWnd));
    });
    EXPECT_EQ(IDCANCEL, nResult);
    EXPECT_FALSE(m_pCommandBars->IsCustomizeMode());
    EXPECT_FALSE(CXTPCustomizeSheet::IsRunning());
    EXPECT_EQ(NULL, m_pCommandBars->GetCustomizeSheet());
}

TEST_F(CustomizeTest, TheApplicationsModelessDialogsAreDisabledWhileTheSheetRuns)
{
    CWinApp* pApp = AfxGetApp();
    ASSERT_NE((CWinApp*)NULL, pApp);
    CWnd* pOldMain = pApp->m_pMainWnd;
    pApp->m_pMainWnd = m_pFrame;
    HWND hFind = ::CreateWindowExA(0, "#32770", "Find", WS_POPUP | WS_VISIBLE, 0, 0, 80, 60, m_pFrame->m_hWnd, NULL,
                                   AfxGetInstanceHandle(), NULL);
    ASSERT_TRUE(hFind != NULL);
    CXTPCustomizeSheet sheet(m_pCommandBars);
    RunSheet(sheet, [&](CXTPCustomizeSheet& s) {
        EXPECT_FALSE(::IsWindowEnabled(hFind)) << "the modeless dialog waits for the sheet";
        EXPECT_TRUE(s.IsWindowEnabled());
        EXPECT_TRUE(m_pStandard->IsWindowEnabled()) << "the bars keep taking drops";
    });
    EXPECT_TRUE(::IsWindowEnabled(hFind)) << "enabled again when the sheet closes";
    ::DestroyWindow(hFind);
    pApp->m_pMainWnd = pOldMain;
}

TEST_F(CustomizeTest, AltAndAPageLetterSelectsThatPage)
{
    CXTPCustomizeSheet sheet(m_pCommandBars);
    RunSheet(sheet, [&](CXTPCustomizeSheet& s) {
        EXPECT_EQ(0, s.GetActiveIndex());
        MSG msg = {};
        msg.hwnd = s.m_hWnd;
        msg.message = WM_SYSKEYDOWN;
        msg.wParam = 'C';
        EXPECT_TRUE(s.PreTranslateMessage(&msg)) << "\"&Commands\" takes Alt+C";
        EXPECT_EQ(1, s.GetActiveIndex());
        msg.wParam = 'B';
        EXPECT_TRUE(s.PreTranslateMessage(&msg)) << "\"Tool&bars\" takes Alt+B";
        EXPECT_EQ(0, s.GetActiveIndex());
    });
}

// The sheet opens with only its first page made; a page gets its window
// when it is first shown. The tab control paints only the frame the page
// leaves visible, and that frame looks exactly as the tab control's whole
// drawing, on every page.
TEST_F(CustomizeTest, OnlyTheShownPageIsMadeAndTheTabFramePaintsAsTheWholeTabControl)
{
    CXTPCustomizeSheet sheet(m_pCommandBars);
    CXTPCustomizeOptionsPage pageOptions(&sheet);
    sheet.AddPage(&pageOptions);
    FillCommands(sheet);
    RunSheet(sheet, [&](CXTPCustomizeSheet& s) {
        EXPECT_TRUE(s.GetPage(0)->m_hWnd != NULL);
        EXPECT_TRUE(s.GetCommandsPage()->m_hWnd == NULL) << "the Commands page is not made before it is shown";
        EXPECT_TRUE(pageOptions.m_hWnd == NULL) << "the Options page is not made before it is shown";

        CXTPSheetTabCtrl* pTab = DYNAMIC_DOWNCAST(CXTPSheetTabCtrl, s.GetTabControl());
        ASSERT_TRUE(pTab != NULL);
        s.SetWindowPos(&CWnd::wndTop, 20, 20, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
        static const char* const s_names[] = {"tab_painted_toolbars", "tab_painted_commands", "tab_painted_options"};
        for (int nPage = 0; nPage < s.GetPageCount(); nPage++)
        {
            SCOPED_TRACE(nPage);
            ASSERT_TRUE(s.SetActivePage(nPage));
            PumpAndIdle();
            ASSERT_TRUE(s.GetPage(nPage)->m_hWnd != NULL);
            const CRect rcPage = pTab->GetPageRect();
            CRect rcClient;
            pTab->GetClientRect(&rcClient);
            ASSERT_FALSE(rcPage.IsRectEmpty());
            EXPECT_GT(rcPage.left, rcClient.left);
            EXPECT_GT(rcPage.top, rcClient.top);
            EXPECT_LT(rcPage.right, rcClient.right);
            EXPECT_LT(rcPage.bottom, rcClient.bottom);

            Canvas whole(rcClient.Width(), rcClient.Height());
            testsupport::PrintClientTree(pTab->m_hWnd, whole.Handle(), CPoint(0, 0));

            s.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
            for (int i = 0; i < 4; i++)
            {
                PumpAndIdle();
                ::Sleep(25);
            }
            CRect rcScreen(rcClient);
            pTab->ClientToScreen(&rcScreen);
            Canvas shown(rcClient.Width(), rcClient.Height());
            HDC hScreen = ::GetDC(NULL);
            ::BitBlt(shown.Handle(), 0, 0, rcClient.Width(), rcClient.Height(), hScreen, rcScreen.left,
                     rcScreen.top, SRCCOPY);
            ::ReleaseDC(NULL, hScreen);
            int nFrameDiffs = 0;
            for (int y = 0; y < rcClient.Height(); y++)
            {
                for (int x = 0; x < rcClient.Width(); x++)
                {
                    if (!rcPage.PtInRect(CPoint(x, y)))
                        nFrameDiffs += shown.Pixel(x, y) != whole.Pixel(x, y);
                }
            }
            EXPECT_EQ(0, nFrameDiffs);
            EXPECT_FALSE(testsupport::SaveSnapshot(shown, s_names[nPage % 3]).empty());
        }
    });
}

TEST_F(CustomizeTest, ToolbarsPageListsTheBarsAndMakesRenamesAndDeletesCustomOnes)
{
    CXTPCustomizeSheet sheet(m_pCommandBars);
    m_pFrame->m_arrSite.clear();
    RunSheet(sheet, [&](CXTPCustomizeSheet& s) {
        CXTPCustomizeToolbarsPage* pPage = s.GetToolbarsPage();
        ASSERT_NE((HWND)NULL, pPage->GetSafeHwnd());
        std::vector<CString> names = ListedToolbars(pPage);
        EXPECT_NE(-1, FindListed(pPage, _T("Standard")));
        EXPECT_NE(-1, FindListed(pPage, _T("Menu Bar")));
        EXPECT_EQ(-1, FindListed(pPage, _T("Timer"))) << "the Timer bar is not customizable and is not listed";
        EXPECT_EQ(1, pPage->m_checkList.GetCheck(FindListed(pPage, _T("Standard"))));

        // Reset acts only on built-in bars.
        SelectListed(pPage, _T("Standard"));
        EXPECT_TRUE(pPage->m_btnReset.IsWindowEnabled());
        EXPECT_FALSE(pPage->m_btnRename.IsWindowEnabled());
        EXPECT_FALSE(pPage->m_btnDelete.IsWindowEnabled());

        CRect rcTopDock;
        m_pCommandBars->GetDockBar(xtpBarTop)->GetWindowRect(&rcTopDock);
        const int nDockHeight = rcTopDock.Height();

        // New proposes "Custom 1"; "Standard" is refused with 9166 and the
        // dialog stays open.
        WithNewToolbarDialog(
            s,
            [&](HWND hDlg) {
                EXPECT_EQ(_T("New Toolbar"), [&] { char sz[64] = ""; ::GetWindowTextA(hDlg, sz, 64); return CString(sz); }());
                EXPECT_EQ(_T("Custom 1"), DlgText(hDlg, XTP_IDC_CUSTOMIZE_LIST));
                ::SetDlgItemTextA(hDlg, XTP_IDC_CUSTOMIZE_LIST, "Standard");
                ::SendMessage(hDlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
                ASSERT_EQ(1u, testsupport::Boxes().texts.size());
                EXPECT_EQ("A toolbar named 'Standard' already exists. Type another name.",
                          testsupport::Boxes().texts[0]);
                EXPECT_TRUE(::IsWindow(hDlg)) << "the dialog stays open";
                ::SetDlgItemTextA(hDlg, XTP_IDC_CUSTOMIZE_LIST, "");
                ::SendMessage(hDlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
                ASSERT_EQ(2u, testsupport::Boxes().texts.size());
                EXPECT_EQ("The toolbar name cannot be blank. Type a name.", testsupport::Boxes().texts[1]);
                ::SetDlgItemTextA(hDlg, XTP_IDC_CUSTOMIZE_LIST, "Custom 1");
                ::PostMessage(hDlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            },
            [&] { pPage->OnNewToolbar(); });
        CXTPToolBar* pCustom = NULL;
        for (int i = 0; i < m_pCommandBars->GetCount(); i++)
        {
            if (m_pCommandBars->GetAt(i)->GetTitle() == _T("Custom 1"))
                pCustom = m_pCommandBars->GetAt(i);
        }
        ASSERT_NE((CXTPToolBar*)NULL, pCustom);
        EXPECT_EQ(0xE800u, pCustom->GetBarID()) << "new bars take ids from 59392";
        EXPECT_FALSE(pCustom->IsBuiltIn());
        EXPECT_EQ(1, m_pFrame->CountSite(WM_XTP_CUSTOMIZATION_ADDTOOLBAR));
        ASSERT_NE(-1, FindListed(pPage, _T("Custom 1")));
        EXPECT_EQ(pCustom, pPage->GetSelectedToolBar()) << "the new bar is selected";
        EXPECT_FALSE(pPage->m_btnReset.IsWindowEnabled());
        EXPECT_TRUE(pPage->m_btnRename.IsWindowEnabled());
        EXPECT_TRUE(pPage->m_btnDelete.IsWindowEnabled());
        EXPECT_EQ(_T("Custom 2"), CXTPNewToolbarDlg::ProposeName(m_pCommandBars)) << "the next proposal";

        // Unchecking hides the bar; checking shows it again.
        int nItem = FindListed(pPage, _T("Custom 1"));
        pPage->m_checkList.SetCheck(nItem, 0);
        pPage->OnCheckChanged();
        EXPECT_FALSE(pCustom->IsVisible());
        nItem = FindListed(pPage, _T("Custom 1"));
        ASSERT_NE(-1, nItem) << "a hidden bar with a close button stays listed";
        pPage->m_checkList.SetCheck(nItem, 1);
        pPage->OnCheckChanged();
        EXPECT_TRUE(pCustom->IsVisible());
        // The menu bar has no close button: its check comes back.
        nItem = FindListed(pPage, _T("Menu Bar"));
        pPage->m_checkList.SetCheck(nItem, 0);
        pPage->OnCheckChanged();
        EXPECT_TRUE(m_pCommandBars->GetMenuBar()->IsVisible());
        EXPECT_EQ(1, pPage->m_checkList.GetCheck(FindListed(pPage, _T("Menu Bar"))));

        // Rename: to its own title is accepted, to another bar's refused.
        UINT nID = 0;
        EXPECT_EQ(0u, CXTPNewToolbarDlg::CheckName(m_pCommandBars, pCustom, _T("Custom 1"), nID));
        EXPECT_EQ((UINT)XTP_IDS_ERROR_EXISTS, CXTPNewToolbarDlg::CheckName(m_pCommandBars, pCustom, _T("Standard"), nID));
        SelectListed(pPage, _T("Custom 1"));
        WithNewToolbarDialog(
            s,
            [&](HWND hDlg) {
                char sz[64] = "";
                ::GetWindowTextA(hDlg, sz, 64);
                EXPECT_STREQ("Rename Toolbar", sz);
                EXPECT_EQ(_T("Custom 1"), DlgText(hDlg, XTP_IDC_CUSTOMIZE_LIST));
                ::SetDlgItemTextA(hDlg, XTP_IDC_CUSTOMIZE_LIST, "Puzzle Tools");
                ::PostMessage(hDlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            },
            [&] { pPage->OnRenameToolbar(); });
        EXPECT_EQ(_T("Puzzle Tools"), pCustom->GetTitle());
        EXPECT_NE(-1, FindListed(pPage, _T("Puzzle Tools")));
        EXPECT_EQ(pCustom, pPage->GetSelectedToolBar());

        SnapSheet(s, "toolbars_page");

        // Delete asks first; Cancel keeps the bar, OK removes it.
        testsupport::Boxes().texts.clear();
        testsupport::Boxes().nAnswer = IDCANCEL;
        pPage->OnDeleteToolbar();
        ASSERT_EQ(1u, testsupport::Boxes().texts.size());
        EXPECT_EQ("Are you sure you want to delete the 'Puzzle Tools' toolbar?", testsupport::Boxes().texts[0]);
        EXPECT_NE(-1, m_pCommandBars->FindIndex(pCustom));
        testsupport::Boxes().nAnswer = IDOK;
        pPage->OnDeleteToolbar();
        EXPECT_EQ(1, m_pFrame->CountSite(WM_XTP_CUSTOMIZATION_DELETETOOLBAR));
        EXPECT_EQ(-1, FindListed(pPage, _T("Puzzle Tools")));
        for (int i = 0; i < m_pCommandBars->GetCount(); i++)
            EXPECT_NE(_T("Puzzle Tools"), m_pCommandBars->GetAt(i)->GetTitle());
        // The bar's dock row is gone at once, not when the program next
        // idles (which it does not while the sheet runs).
        m_pCommandBars->GetDockBar(xtpBarTop)->GetWindowRect(&rcTopDock);
        EXPECT_EQ(nDockHeight, rcTopDock.Height()) << "the deleted bar's row is laid out away";
        EXPECT_EQ(_T("Custom 1"), CXTPNewToolbarDlg::ProposeName(m_pCommandBars));
    });
}

TEST_F(CustomizeTest, NewToolbarNamesAndIdsFollowTheBarsThatExist)
{
    // "Custom 1" and "Custom 2" present: 3; only "Custom 2": 1.
    CXTPToolBar* p2 = m_pCommandBars->CreateCustomToolBar(_T("Custom 2"), 0xE800);
    ASSERT_NE((CXTPToolBar*)NULL, p2);
    EXPECT_EQ(_T("Custom 1"), CXTPNewToolbarDlg::ProposeName(m_pCommandBars));
    CXTPToolBar* p1 = m_pCommandBars->CreateCustomToolBar(_T("Custom 1"), 0xE801);
    EXPECT_EQ(_T("Custom 3"), CXTPNewToolbarDlg::ProposeName(m_pCommandBars));
    EXPECT_EQ(_T("custom 1"), CXTPNewToolbarDlg::ProposeName(m_pCommandBars).MakeLower().Left(6) + _T(" 1"))
        << "sanity";
    // Ids: 59392 and 59393 are taken, the next one is free.
    UINT nID = 0;
    EXPECT_EQ(0u, CXTPNewToolbarDlg::CheckName(m_pCommandBars, NULL, _T("Mine"), nID));
    EXPECT_EQ(0xE802u, nID);
    EXPECT_EQ((UINT)XTP_IDS_ERROR_BLANKNAME, CXTPNewToolbarDlg::CheckName(m_pCommandBars, NULL, _T(""), nID));
    EXPECT_EQ((UINT)XTP_IDS_ERROR_EXISTS, CXTPNewToolbarDlg::CheckName(m_pCommandBars, NULL, _T("Custom 1"), nID));
    EXPECT_EQ(0u, CXTPNewToolbarDlg::CheckName(m_pCommandBars, NULL, _T("custom 1"), nID)) << "titles compare exactly";
    m_pCommandBars->Remove(p1);
    m_pCommandBars->Remove(p2);
}

TEST_F(CustomizeTest, OptionsPageChangesTheOptionsAtOnce)
{
    CXTPCommandBarsOptions* pOptions = m_pCommandBars->GetCommandBarsOptions();
    pOptions->bAlwaysShowFullMenus = FALSE;
    pOptions->bToolBarScreenTips = TRUE;
    pOptions->bLargeIcons = FALSE;
    m_pCommandBars->HideCommand(ID_FILE_OPEN);
    m_pCommandBars->SetCommandUsed(ID_FILE_OPEN);
    CXTPCustomizeSheet sheet(m_pCommandBars);
    CXTPCustomizeOptionsPage page(&sheet);
    sheet.AddPage(&page);
    RunSheet(sheet, [&](CXTPCustomizeSheet& s) {
        s.SetActivePage(&page);
        PumpAndIdle();
        ASSERT_NE((HWND)NULL, page.GetSafeHwnd());
        HWND hPage = page.m_hWnd;
        EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(hPage, XTP_IDC_OPTIONS_AFTERDELAY)));
        ::SendMessage(::GetDlgItem(hPage, XTP_IDC_OPTIONS_FULLMENUS), BM_CLICK, 0, 0);
        EXPECT_TRUE(pOptions->bAlwaysShowFullMenus);
        EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(hPage, XTP_IDC_OPTIONS_AFTERDELAY)))
            << "the delay means nothing while menus are always full";

        // Large icons re-lay the bars out at once.
        int nHeight = m_pStandard->GetControl(0)->GetRect().Height();
        ::SendMessage(::GetDlgItem(hPage, XTP_IDC_OPTIONS_LARGEICONS), BM_CLICK, 0, 0);
        EXPECT_TRUE(pOptions->bLargeIcons);
        EXPECT_GT(m_pStandard->GetControl(0)->GetRect().Height(), nHeight);

        // Clearing screen tips disables the shortcut-key box and keeps its value.
        BOOL bAccel = pOptions->bToolBarAccelTips;
        ::SendMessage(::GetDlgItem(hPage, XTP_IDC_OPTIONS_SCREENTIPS), BM_CLICK, 0, 0);
        EXPECT_FALSE(pOptions->bToolBarScreenTips);
        EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(hPage, XTP_IDC_OPTIONS_SHORTCUTS)));
        EXPECT_EQ(bAccel, pOptions->bToolBarAccelTips);

        // The animation list: six entries, the index is the option.
        HWND hCombo = ::GetDlgItem(hPage, XTP_IDC_OPTIONS_ANIMATION);
        EXPECT_EQ(6, (int)::SendMessage(hCombo, CB_GETCOUNT, 0, 0));
        ::SendMessage(hCombo, CB_SETCURSEL, 3, 0);
        ::SendMessage(hPage, WM_COMMAND, MAKEWPARAM(XTP_IDC_OPTIONS_ANIMATION, CBN_SELCHANGE), (LPARAM)hCombo);
        EXPECT_EQ(3, pOptions->animationType) << "\"Slide\"";

        SnapSheet(s, "options_page");

        // Reset usage data: No keeps the record, Yes empties it.
        testsupport::Boxes().texts.clear();
        testsupport::Boxes().nAnswer = IDNO;
        ::SendMessage(hPage, WM_COMMAND, MAKEWPARAM(XTP_IDC_OPTIONS_RESETUSAGE, BN_CLICKED), 0);
        ASSERT_EQ(1u, testsupport::Boxes().texts.size());
        EXPECT_EQ(0u, testsupport::Boxes().texts[0].find("This will delete the record of the commands"));
        EXPECT_TRUE(pOptions->m_mapUsedCommands.Contains(ID_FILE_OPEN));
        testsupport::Boxes().nAnswer = IDYES;
        ::SendMessage(hPage, WM_COMMAND, MAKEWPARAM(XTP_IDC_OPTIONS_RESETUSAGE, BN_CLICKED), 0);
        EXPECT_FALSE(pOptions->m_mapUsedCommands.Contains(ID_FILE_OPEN));
    });

    // The options are kept with the command bars' options.
    const char* pszProfile = "CustomizeOptionsTest";
    m_pCommandBars->SaveOptions(pszProfile);
    pOptions->bLargeIcons = FALSE;
    pOptions->animationType = 0;
    pOptions->bAlwaysShowFullMenus = FALSE;
    m_pCommandBars->LoadOptions(pszProfile);
    EXPECT_TRUE(pOptions->bLargeIcons);
    EXPECT_EQ(3, pOptions->animationType);
    EXPECT_TRUE(pOptions->bAlwaysShowFullMenus);
    AfxGetApp()->WriteProfileString(CString(pszProfile) + "-Options", NULL, NULL);
    pOptions->bLargeIcons = FALSE;
    m_pCommandBars->RedrawCommandBars();
}

TEST_F(CustomizeTest, CommandsPageBuildsItsCategoriesFromTheMenu)
{
    CXTPCustomizeSheet sheet(m_pCommandBars);
    FillCommands(sheet);
    CXTPCustomizeCommandsPage* pCommands = sheet.GetCommandsPage();
    ASSERT_GE(pCommands->GetCategoryCount(), 4);
    int nCount = pCommands->GetCategoryCount();
    EXPECT_EQ(_T("File"), pCommands->GetCategoryInfo(0)->strCategory) << "'&' is dropped";
    EXPECT_EQ(_T("All Commands"), pCommands->GetCategoryInfo(nCount - 3)->strCategory);
    EXPECT_EQ(_T("Built-in Menus"), pCommands->GetCategoryInfo(nCount - 2)->strCategory);
    EXPECT_EQ(_T("New Menu"), pCommands->GetCategoryInfo(nCount - 1)->strCategory);
    EXPECT_EQ(NULL, pCommands->GetCategoryInfo(nCount));
    EXPECT_EQ(NULL, pCommands->GetCategoryInfo(-1));

    XTP_COMMANDBARS_CATEGORYINFO* pFile = pCommands->FindCategory(_T("File"));
    ASSERT_NE((XTP_COMMANDBARS_CATEGORYINFO*)NULL, pFile);
    EXPECT_NE((CXTPControl*)NULL, pFile->pControls->FindControl(ID_FILE_OPEN));
    int nAll = 0;
    for (int i = 0; i < nCount - 3; i++)
        nAll += pCommands->GetCategoryInfo(i)->pControls->GetCount();
    EXPECT_EQ(nAll, pCommands->GetCategoryInfo(nCount - 3)->pControls->GetCount())
        << "All Commands holds a copy of every command";
    CXTPControls* pMenus = pCommands->GetCategoryInfo(nCount - 2)->pControls;
    ASSERT_GT(pMenus->GetCount(), 0);
    EXPECT_EQ(xtpControlPopup, pMenus->GetAt(0)->GetType()) << "each top-level menu is a popup";
    CXTPControls* pNew = pCommands->GetCategoryInfo(nCount - 1)->pControls;
    ASSERT_EQ(1, pNew->GetCount());
    EXPECT_EQ(xtpControlPopup, pNew->GetAt(0)->GetType());
    EXPECT_EQ(_T("New Menu"), pNew->GetAt(0)->GetCaption());
    EXPECT_FALSE(pCommands->AddCategories(4242, FALSE)) << "a missing menu";

    RunSheet(sheet, [&](CXTPCustomizeSheet& s) {
        s.SetActivePage(pCommands);
        PumpAndIdle();
        EXPECT_EQ(nCount, pCommands->m_lstCategories.GetCount());
        EXPECT_EQ(pFile->pControls->GetCount(), pCommands->m_lstCommands.GetCount());
        pCommands->m_lstCategories.SetCurSel(nCount - 1);
        pCommands->OnCategoriesSelectionChanged();
        EXPECT_EQ(1, pCommands->m_lstCommands.GetCount());
        pCommands->m_lstCategories.SetCurSel(0);
        pCommands->OnCategoriesSelectionChanged();
        PumpAndIdle();
        SnapSheet(s, "commands_page");
    });
}

TEST_F(CustomizeTest, DraggingACommandOntoABarInsertsItAtTheMarker)
{
    CXTPCustomizeSheet sheet(m_pCommandBars);
    FillCommands(sheet);
    RunSheet(sheet, [&](CXTPCustomizeSheet& s) {
        CXTPCustomizeDragTracker* pTracker = m_pCommandBars->GetDragTracker();
        XTP_COMMANDBARS_CATEGORYINFO* pFile = s.GetCommandsPage()->FindCategory(_T("File"));
        CXTPControl* pOpen = pFile->pControls->FindControl(ID_FILE_OPEN);
        ASSERT_NE((CXTPControl*)NULL, pOpen);
        int nCount = m_pStandard->GetControlCount();

        // Over the left half of the third button: inserted before it.
        CXTPControl* pThird = m_pStandard->GetControl(2);
        CPoint pt = ScreenCentre(pThird);
        pt.x -= pThird->GetRect().Width() / 4;
        QueueDrop(s.m_hWnd, pt);
        EXPECT_EQ(DROPEFFECT_MOVE, pTracker->Track(pOpen, TRUE)) << "the effect follows Control, not copy-only";
        ASSERT_EQ(nCount + 1, m_pStandard->GetControlCount());
        EXPECT_EQ(ID_FILE_OPEN, m_pStandard->GetControl(2)->GetID());
        EXPECT_NE(pOpen, m_pStandard->GetControl(2)) << "the bar holds a copy";
        EXPECT_EQ(m_pStandard->GetControl(2), m_pCommandBars->GetDragControl()) << "the copy is selected";
        EXPECT_EQ(1, pFile->pControls->FindControl(ID_FILE_OPEN) == pOpen ? 1 : 0) << "the category keeps its command";

        // With Control held the bar is told to copy.
        QueueDrop(s.m_hWnd, ScreenCentre(m_pStandard->GetControl(0)) - CPoint(4, 0), MK_LBUTTON | MK_CONTROL);
        EXPECT_EQ(DROPEFFECT_COPY, pTracker->Track(pOpen, TRUE));
        EXPECT_EQ(nCount + 2, m_pStandard->GetControlCount());

        // Escape cancels: nothing changes.
        QueueDrop(s.m_hWnd, ScreenCentre(m_pStandard->GetControl(1)), MK_LBUTTON, false);
        ::PostMessage(s.m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0);
        EXPECT_EQ(CXTPCustomizeDragTracker::dropCancelled, pTracker->Track(pOpen, TRUE));
        EXPECT_EQ(nCount + 2, m_pStandard->GetControlCount());
        EXPECT_EQ(NULL, pTracker->GetTarget());
        // The right button cancels too.
        QueueDrop(s.m_hWnd, ScreenCentre(m_pStandard->GetControl(1)), MK_LBUTTON, false);
        ::PostMessage(s.m_hWnd, WM_RBUTTONDOWN, MK_LBUTTON | MK_RBUTTON, 0);
        EXPECT_EQ(CXTPCustomizeDragTracker::dropCancelled, pTracker->Track(pOpen, TRUE));
        EXPECT_EQ(nCount + 2, m_pStandard->GetControlCount());

        // Dropped on no bar: nothing is added.
        CRect rcFrame;
        m_pFrame->GetWindowRect(&rcFrame);
        QueueDrop(s.m_hWnd, CPoint(rcFrame.CenterPoint().x, rcFrame.bottom - 30));
        EXPECT_EQ(CXTPCustomizeDragTracker::dropNowhere, pTracker->Track(pOpen, TRUE));
        EXPECT_EQ(nCount + 2, m_pStandard->GetControlCount());
    });
}

TEST_F(CustomizeTest, OnlyABarThatAcceptsTheDragBecomesItsTarget)
{
    CXTPCustomizeSheet sheet(m_pCommandBars);
    FillCommands(sheet);
    RunSheet(sheet, [&](CXTPCustomizeSheet& s) {
        CXTPCustomizeDragTracker* pTracker = m_pCommandBars->GetDragTracker();
        CXTPControl* pOpen = s.GetCommandsPage()->FindCategory(_T("File"))->pControls->FindControl(ID_FILE_OPEN);
        ASSERT_NE((CXTPControl*)NULL, pOpen);
        int nCount = m_pStandard->GetControlCount();
        CPoint ptClient = m_pStandard->GetControl(1)->GetRect().CenterPoint();

        EXPECT_TRUE(m_pStandard->OnCustomizeDragEnter(pOpen, ptClient)) << "a customizable shown bar accepts";
        m_pStandard->OnCustomizeDragLeave();

        // A bar that is not customizable refuses: let go over it, the drag
        // changes nothing (it is not a drop away from the bars, which would
        // take a dragged button off its bar).
        m_pStandard->SetCustomizable(FALSE);
        EXPECT_FALSE(m_pStandard->OnCustomizeDragEnter(pOpen, ptClient));
        QueueDrop(s.m_hWnd, ScreenCentre(m_pStandard->GetControl(1)));
        EXPECT_EQ(CXTPCustomizeDragTracker::dropCancelled, pTracker->Track(pOpen, TRUE));
        EXPECT_EQ(nCount, m_pStandard->GetControlCount()) << "nothing dropped on a refusing bar";
        EXPECT_EQ(NULL, pTracker->GetTarget());
        m_pStandard->SetCustomizable(TRUE);

        // Customizable again, it accepts again.
        EXPECT_TRUE(m_pStandard->OnCustomizeDragEnter(pOpen, ptClient));
        m_pStandard->OnCustomizeDragLeave();
    });
}

TEST_F(CustomizeTest, ABarsMouseMoveDuringADragMovesTheTarget)
{
    CXTPCustomizeSheet sheet(m_pCommandBars);
    FillCommands(sheet);
    RunSheet(sheet, [&](CXTPCustomizeSheet& s) {
        CXTPCustomizeDragTracker* pTracker = m_pCommandBars->GetDragTracker();
        CXTPControl* pOpen = s.GetCommandsPage()->FindCategory(_T("File"))->pControls->FindControl(ID_FILE_OPEN);
        ASSERT_NE((CXTPControl*)NULL, pOpen);
        CPoint ptClient = m_pStandard->GetControl(1)->GetRect().CenterPoint();
        ptClient.x -= m_pStandard->GetControl(1)->GetRect().Width() / 4;

        // No drag running: the point goes nowhere.
        EXPECT_FALSE(pTracker->IsDragging());
        EXPECT_FALSE(pTracker->OnBarMouseMove(m_pStandard, ptClient));
        EXPECT_EQ(NULL, pTracker->GetTarget());

        // During a drag the bar's own WM_MOUSEMOVE hands the point to the
        // tracker, which makes the bar the target with its marker shown.
        bool bTimerRan = false;
        CXTPCommandBar* pTargetSeen = NULL;
        BOOL bDragging = FALSE;
        s_pfnTimer = [&] {
            if (bTimerRan)
                return;
            bTimerRan = true;
            bDragging = pTracker->IsDragging();
            m_pStandard->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(ptClient.x, ptClient.y));
            pTargetSeen = pTracker->GetTarget();
            ::PostMessage(s.m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0);
        };
        UINT_PTR nTimer = ::SetTimer(NULL, 0, 50, &RunTimerFunction);
        int nCount = m_pStandard->GetControlCount();
        EXPECT_EQ(CXTPCustomizeDragTracker::dropCancelled, pTracker->Track(pOpen, TRUE));
        ::KillTimer(NULL, nTimer);
        s_pfnTimer = nullptr;
        ASSERT_TRUE(bTimerRan) << "the drag ended before the timer";
        EXPECT_TRUE(bDragging);
        EXPECT_EQ(m_pStandard, pTargetSeen);
        EXPECT_EQ(NULL, pTracker->GetTarget()) << "Escape leaves the target";
        EXPECT_EQ(nCount, m_pStandard->GetControlCount());
        EXPECT_FALSE(pTracker->IsDragging());
    });
}

TEST_F(CustomizeTest, TheDragCursorShowsCopyMoveOrNoDrop)
{
    CXTPCustomizeDragTracker* pTracker = m_pCommandBars->GetDragTracker();
    ASSERT_NE((CXTPCustomizeDragTracker*)NULL, pTracker);
    EXPECT_GE(pTracker->GetRegisteredCount(), 2) << "the menu bar and the toolbars registered";
    CPoint pt = ScreenCentre(m_pStandard->GetControl(0));
    EXPECT_EQ(m_pStandard, pTracker->FindDropBar(pt));
    CRect rcFrame;
    m_pFrame->GetWindowRect(&rcFrame);
    EXPECT_EQ(NULL, pTracker->FindDropBar(CPoint(rcFrame.CenterPoint().x, rcFrame.bottom - 30)));
    EXPECT_EQ((UINT)XTP_IDC_CUSTOMIZE_DRAGNONE, pTracker->GetCursorId());
    for (UINT nId : {9105u, 9106u, 9107u, 9972u})
        EXPECT_NE((HCURSOR)NULL, XTPResourceManager()->LoadCursor(nId)) << nId;
}

TEST_F(CustomizeTest, DraggingAButtonOffItsBarRemovesItAndAControlDragCopiesIt)
{
    CXTPCustomizeSheet sheet(m_pCommandBars);
    RunSheet(sheet, [&](CXTPCustomizeSheet& s) {
        int nCount = m_pStandard->GetControlCount();
        CXTPControl* pFirst = m_pStandard->GetControl(0);
        int nFirstId = pFirst->GetID();
        CXTPControl* pSecond = m_pStandard->GetControls()->FindControl(ID_UNDO_MOVE);
        ASSERT_NE((CXTPControl*)NULL, pSecond);
        int nSecondId = pSecond->GetID();

        // Undo dragged off the bar onto the frame's client area (the
        // board): removed from its bar.
        CRect rcFrame;
        m_pFrame->GetWindowRect(&rcFrame);
        QueueDrop(s.m_hWnd, CPoint(rcFrame.CenterPoint().x, rcFrame.bottom - 30));
        pSecond->OnCustomizeClick(pSecond->GetRect().CenterPoint());
        EXPECT_EQ(nCount - 1, m_pStandard->GetControlCount());
        EXPECT_EQ(NULL, m_pStandard->GetControls()->FindControl(nSecondId));

        // A Control-drag of the first button to the end of the bar copies it.
        CXTPControl* pLast = NULL;
        for (int i = 0; i < m_pStandard->GetControlCount(); i++)
        {
            if (m_pStandard->GetControl(i)->IsVisible() && m_pStandard->GetControl(i)->IsCustomizeMovable())
                pLast = m_pStandard->GetControl(i);
        }
        ASSERT_NE((CXTPControl*)NULL, pLast);
        int nLastIndex = pLast->GetIndex();
        QueueDrop(s.m_hWnd, ScreenCentre(pLast) + CPoint(pLast->GetRect().Width() / 4, 0), MK_LBUTTON | MK_CONTROL);
        pFirst->OnCustomizeClick(pFirst->GetRect().CenterPoint());
        EXPECT_EQ(nCount, m_pStandard->GetControlCount());
        EXPECT_EQ(nFirstId, m_pStandard->GetControl(0)->GetID()) << "the original stays";
        EXPECT_EQ(nFirstId, m_pStandard->GetControl(nLastIndex + 1)->GetID()) << "the copy lands after the last button";
        // A click without moving keeps the control and selects it.
        ::PostMessage(s.m_hWnd, WM_LBUTTONUP, 0, 0);
        pFirst->OnCustomizeClick(pFirst->GetRect().CenterPoint());
        EXPECT_EQ(nCount, m_pStandard->GetControlCount());
        EXPECT_EQ(pFirst, m_pCommandBars->GetDragControl());
    });
}

TEST_F(CustomizeTest, TheContextMenuOpensWholeWithChangeButtonImageShown)
{
    // In customize mode every menu opens full: the image palette, still
    // empty until it is first shown, must not push its entry behind the
    // expand button of the short menu.
    m_pCommandBars->GetCommandBarsOptions()->bAlwaysShowFullMenus = FALSE;
    CXTPCustomizeSheet sheet(m_pCommandBars);
    CXTPPopupBar* pMenu = sheet.GetContextMenu();
    ASSERT_NE((CXTPPopupBar*)NULL, pMenu);
    RunSheet(sheet, [&](CXTPCustomizeSheet&) {
        m_pCommandBars->SetDragControl(m_pStandard->GetControl(0));
        ASSERT_TRUE(pMenu->PopupAt(100, 100));
        EXPECT_TRUE(pMenu->IsExpanded());
        CXTPControl* pChange = pMenu->GetControls()->FindControl(XTP_ID_CUSTOMIZE_CHANGEBUTTONIMAGE);
        ASSERT_NE((CXTPControl*)NULL, pChange);
        EXPECT_EQ(0u, pChange->GetHideFlags() & xtpHideExpand);
        CXTPControl* pExpand = pMenu->GetControls()->FindControl(xtpControlError, XTP_ID_POPUPBAR_EXPAND, FALSE, FALSE);
        EXPECT_TRUE(pExpand == NULL || !pExpand->IsVisible()) << "no expand button";
        pMenu->SetTrackingMode(FALSE);
    });
}

TEST_F(CustomizeTest, StockImagesAreThereWhenFirstAskedForWhateverAsksFirst)
{
    // A stock image chosen before the palette was ever shown, the palette
    // shown in a sheet whose images were handed out already, and the images
    // asked for directly: each finds all 42 images.
    {
        CXTPCustomizeSheet sheet(m_pCommandBars);
        RunSheet(sheet, [&](CXTPCustomizeSheet& s) {
            CXTPControl* pFirst = m_pStandard->GetControl(0);
            m_pCommandBars->SetDragControl(pFirst);
            EXPECT_TRUE(s.ApplyStockImage(42));
            EXPECT_GT(pFirst->GetCustomIconId(), 0);
            s.OnResetButtonImage();
            EXPECT_FALSE(s.ApplyStockImage(43)) << "no such stock image";
        });
    }
    {
        CXTPCustomizeSheet sheet(m_pCommandBars);
        CXTPImageManager* pIcons = sheet.GetCustomIcons();
        ASSERT_NE((CXTPImageManager*)NULL, pIcons);
        EXPECT_TRUE(pIcons->GetImage(1, 16) != NULL);
        EXPECT_TRUE(pIcons->GetImage(42, 16) != NULL);
        CXTPControlPopup* pChange = (CXTPControlPopup*)sheet.GetContextMenu()->GetControls()->FindControl(9130);
        RunSheet(sheet, [&](CXTPCustomizeSheet& s) {
            s.SendMessage(WM_XTP_INITCOMMANDSPOPUP, 0, (LPARAM)pChange->GetCommandBar());
            EXPECT_EQ(42, pChange->GetCommandBar()->GetControlCount());
        });
    }
}

TEST_F(CustomizeTest, ContextMenuCommandsChangeTheSelectedControl)
{
    CXTPCustomizeSheet sheet(m_pCommandBars);
    CXTPPopupBar* pMenu = sheet.GetContextMenu();
    ASSERT_NE((CXTPPopupBar*)NULL, pMenu);
    std::vector<int> ids = Ids(pMenu);
    std::vector<int> expected = {9123, 9124, 0, 9125, 0, 9126, 9127, 9128, 9129, 9130, 0, 9131, 9133, 9132, 0, 9134};
    EXPECT_EQ(expected, ids);
    EXPECT_TRUE(pMenu->GetControls()->FindControl(9125)->IsKindOf(RUNTIME_CLASS(CXTPControlEdit)));
    EXPECT_EQ(xtpControlPopup, pMenu->GetControls()->FindControl(9130)->GetType());

    RunSheet(sheet, [&](CXTPCustomizeSheet& s) {
        CXTPControl* pFirst = m_pStandard->GetControl(0);
        ASSERT_TRUE(CXTPCustomizeSheet::HasImage(pFirst));
        m_pCommandBars->SetDragControl(pFirst);

        RecordingCmdUI ui;
        ui.m_nID = XTP_ID_CUSTOMIZE_BEGINAGROUP;
        s.OnUpdateBeginGroup(&ui);
        EXPECT_FALSE(ui.bEnabled) << "the first control cannot begin a group";
        ui.m_nID = XTP_ID_CUSTOMIZE_RESETCONTROL;
        s.OnUpdateResetControl(&ui);
        EXPECT_FALSE(ui.bEnabled) << "nothing to reset";
        ui.m_nID = XTP_ID_CUSTOMIZE_DEFAULTSTYLE;
        s.OnUpdateStyle(&ui);
        EXPECT_TRUE(ui.bEnabled);
        EXPECT_EQ(1, ui.nCheck);

        s.OnStyle(XTP_ID_CUSTOMIZE_TEXTONLY);
        EXPECT_EQ(1, pFirst->GetCustomStyle()) << "\"Text Only\"";
        ui.m_nID = XTP_ID_CUSTOMIZE_TEXTONLY;
        s.OnUpdateStyle(&ui);
        EXPECT_EQ(1, ui.nCheck);
        s.OnStyle(XTP_ID_CUSTOMIZE_IMAGEANDTEXT);
        EXPECT_EQ(3, pFirst->GetCustomStyle());
        s.SetSelectedCaption(_T("&Fresh"));
        EXPECT_EQ(_T("&Fresh"), pFirst->GetCustomCaption());
        ui.m_nID = XTP_ID_CUSTOMIZE_RESETCONTROL;
        s.OnUpdateResetControl(&ui);
        EXPECT_TRUE(ui.bEnabled);
        s.OnResetControl();
        EXPECT_EQ(-1, pFirst->GetCustomStyle()) << "reset gives -1, not 0";
        EXPECT_TRUE(pFirst->GetCustomCaption().IsEmpty());

        // The image palette: 42 stock images, 144 pixels wide, filled once.
        CXTPControlPopup* pChange = (CXTPControlPopup*)pMenu->GetControls()->FindControl(9130);
        CXTPCommandBar* pPalette = pChange->GetCommandBar();
        ASSERT_NE((CXTPCommandBar*)NULL, pPalette);
        EXPECT_EQ(0, pPalette->GetControlCount());
        s.SendMessage(WM_XTP_INITCOMMANDSPOPUP, 0, (LPARAM)pPalette);
        EXPECT_EQ(42, pPalette->GetControlCount());
        EXPECT_EQ(144, pPalette->GetMRUWidth());
        s.SendMessage(WM_XTP_INITCOMMANDSPOPUP, 0, (LPARAM)pPalette);
        EXPECT_EQ(42, pPalette->GetControlCount()) << "only on the first showing";
        // Choosing a stock image gives the control a custom icon, also when
        // the menus have closed before the choice is carried out.
        pPalette->GetControl(4)->OnExecute();
        EXPECT_GT(pFirst->GetCustomIconId(), 0) << "the palette's choice reaches the sheet";
        s.OnResetButtonImage();
        EXPECT_EQ(0, pFirst->GetCustomIconId());
        EXPECT_TRUE(s.ApplyStockImage(5));
        EXPECT_GT(pFirst->GetCustomIconId(), 0);
        ui.m_nID = XTP_ID_CUSTOMIZE_RESETBUTTONIMAGE;
        s.OnUpdateResetButtonImage(&ui);
        EXPECT_TRUE(ui.bEnabled);
        s.OnResetButtonImage();
        EXPECT_EQ(0, pFirst->GetCustomIconId());

        // Begin a group on the second control toggles.
        CXTPControl* pSecond = m_pStandard->GetControl(1);
        m_pCommandBars->SetDragControl(pSecond);
        BOOL bGroup = pSecond->GetBeginGroup();
        ui.m_nID = XTP_ID_CUSTOMIZE_BEGINAGROUP;
        s.OnUpdateBeginGroup(&ui);
        EXPECT_TRUE(ui.bEnabled);
        s.OnBeginGroup();
        EXPECT_NE(bGroup, pSecond->GetBeginGroup());
        s.OnBeginGroup();

        // Delete removes it from its bar.
        int nCount = m_pStandard->GetControlCount();
        int nId = pSecond->GetID();
        s.OnDeleteControl();
        EXPECT_EQ(nCount - 1, m_pStandard->GetControlCount());
        EXPECT_EQ(NULL, m_pStandard->GetControls()->FindControl(nId));
        EXPECT_EQ(NULL, m_pCommandBars->GetDragControl());
        // Without a selection every command does nothing.
        s.OnResetControl();
        s.OnDeleteControl();
        s.OnStyle(XTP_ID_CUSTOMIZE_TEXTONLY);
        ui.m_nID = XTP_ID_CUSTOMIZE_DEFAULTSTYLE;
        s.OnUpdateStyle(&ui);
        EXPECT_FALSE(ui.bEnabled);
        EXPECT_EQ(1, ui.nCheck) << "no image: disabled and checked";
    });
}

TEST_F(CustomizeTest, ButtonImagesGoThroughTheClipboard)
{
    CXTPCustomizeSheet sheet(m_pCommandBars);
    RunSheet(sheet, [&](CXTPCustomizeSheet& s) {
        CXTPControl* pFirst = m_pStandard->GetControl(0);
        CXTPControl* pSecond = m_pStandard->GetControl(1);
        m_pCommandBars->SetDragControl(pFirst);
        s.OnCopyButtonImage();
        EXPECT_TRUE(::IsClipboardFormatAvailable(CF_BITMAP));
        RecordingCmdUI ui;
        ui.m_nID = XTP_ID_CUSTOMIZE_PASTEBUTTONIMAGE;
        m_pCommandBars->SetDragControl(pSecond);
        s.OnUpdatePasteButtonImage(&ui);
        EXPECT_TRUE(ui.bEnabled);
        s.OnPasteButtonImage();
        EXPECT_GT(pSecond->GetCustomIconId(), 0) << "the pasted image is a custom icon";

        // A clipboard without a bitmap changes nothing.
        ASSERT_TRUE(::OpenClipboard(s.m_hWnd));
        ::EmptyClipboard();
        ::CloseClipboard();
        pSecond->SetCustomIconId(0);
        s.OnPasteButtonImage();
        EXPECT_EQ(0, pSecond->GetCustomIconId());
        s.OnUpdatePasteButtonImage(&ui);
        EXPECT_FALSE(ui.bEnabled);
    });
}

// A 32-bit alpha image of one opaque colour (0xAARRGGBB pixels).
static HBITMAP SolidAlphaImage(int cx, DWORD dwPixel)
{
    LPBYTE pBits = NULL;
    HBITMAP hBitmap = CXTPImageManager::Create32BitDIBSection(NULL, cx, cx, &pBits);
    if (hBitmap != NULL && pBits != NULL)
    {
        for (int i = 0; i < cx * cx; i++)
            ((DWORD*)pBits)[i] = dwPixel;
    }
    return hBitmap;
}

TEST_F(CustomizeTest, CopyButtonImageCarriesEverySizeOfTheButtonToThePaste)
{
    CXTPImageManager* pImages = m_pCommandBars->GetImageManager();
    CXTPCustomizeSheet sheet(m_pCommandBars);
    RunSheet(sheet, [&](CXTPCustomizeSheet& s) {
        CXTPControl* pFirst = m_pStandard->GetControl(0);
        CXTPControl* pSecond = m_pStandard->GetControl(1);
        const UINT nIcon = (UINT)pFirst->GetIconId();
        ASSERT_GT(nIcon, 0u);
        CXTPImageManagerIconHandle hSmall, hLarge;
        hSmall.AttachBitmap(SolidAlphaImage(16, 0xFFFF0000));
        hLarge.AttachBitmap(SolidAlphaImage(32, 0xFF0000FF));
        ASSERT_TRUE(pImages->SetIcon(hSmall, nIcon, CSize(16, 16)));
        ASSERT_TRUE(pImages->SetIcon(hLarge, nIcon, CSize(32, 32)));

        m_pCommandBars->SetDragControl(pFirst);
        s.OnCopyButtonImage();
        EXPECT_TRUE(::IsClipboardFormatAvailable(CF_BITMAP));
        EXPECT_TRUE(::IsClipboardFormatAvailable(CXTPImageManager::GetAlphaBitmapClipFormat()));
        EXPECT_TRUE(::IsClipboardFormatAvailable(CXTPImageManager::GetImageClipFormat()))
            << "the icon set must be on the clipboard beside the bitmap";

        m_pCommandBars->SetDragControl(pSecond);
        s.OnPasteButtonImage();
        const UINT nPasted = (UINT)pSecond->GetCustomIconId();
        ASSERT_GT(nPasted, 0u);
        // Both sizes arrived, each with its own pixels.
        EXPECT_TRUE(pImages->HasIcon(nPasted, 16));
        ASSERT_TRUE(pImages->HasIcon(nPasted, 32)) << "the large image was lost on the way";
        struct { int cx; DWORD dwExpected; } sizes[] = {{16, 0xFF0000}, {32, 0x0000FF}};
        for (auto& size : sizes)
        {
            CXTPImageManagerIconHandle& hPasted = pImages->GetImage(nPasted, size.cx)->GetIcon();
            ASSERT_TRUE(hPasted.IsAlpha()) << size.cx;
            std::vector<DWORD> pixels((size_t)size.cx * size.cx);
            ASSERT_TRUE(CXTPImageManager::ReadPixels32(hPasted.GetBitmap(), size.cx, size.cx, pixels.data()));
            EXPECT_EQ(size.dwExpected, pixels[(size_t)size.cx * size.cx / 2 + 3] & 0xFFFFFF) << size.cx;
        }
    });
}

TEST_F(CustomizeTest, ARightClickOnABarControlOpensTheContextMenu)
{
    CXTPCustomizeSheet sheet(m_pCommandBars);
    RunSheet(sheet, [&](CXTPCustomizeSheet& s) {
        CXTPControl* pFirst = m_pStandard->GetControl(0);
        bool bShown = false;
        // The menu runs its own loop: a thread timer looks at it and closes it.
        s_pfnTimer = [&] {
            CXTPPopupBar* pTop = TopTrackedPopup();
            if (pTop != s.GetContextMenu())
                return;
            bShown = true;
            PumpAndIdle(50);
            pTop->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
            SaveScreenSnapshot(pTop->m_hWnd, "context_menu");
            CXTPControlEdit* pName = (CXTPControlEdit*)pTop->GetControls()->FindControl(9125);
            EXPECT_EQ(pFirst->GetCaption(), pName->GetEditText()) << "the name box shows the caption";
            EXPECT_FALSE(pTop->GetControls()->FindControl(9134)->GetEnabled()) << "Begin a Group on the first control";
            EXPECT_FALSE(pTop->GetControls()->FindControl(9123)->GetEnabled()) << "nothing to reset";
            EXPECT_TRUE(pTop->GetControls()->FindControl(9131)->GetChecked()) << "Default Style";
            EXPECT_TRUE(pTop->GetControls()->FindControl(9124)->GetEnabled());
            XTPMouseManager()->CloseAllTracked();
        };
        UINT_PTR nTimer = ::SetTimer(NULL, 0, 100, &RunTimerFunction);
        CPoint pt = pFirst->GetRect().CenterPoint();
        m_pStandard->SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(pt.x, pt.y));
        ::KillTimer(NULL, nTimer);
        EXPECT_TRUE(bShown);
        EXPECT_EQ(pFirst, m_pCommandBars->GetDragControl()) << "the right-clicked control is selected";
    });
}

TEST_F(CustomizeTest, WhileTheSheetRunsOnlyBarsSheetAndOtherWindowsGetTheMouse)
{
    CXTPCustomizeSheet sheet(m_pCommandBars);
    RunSheet(sheet, [&](CXTPCustomizeSheet& s) {
        CRect rcFrame;
        m_pFrame->GetWindowRect(&rcFrame);
        CPoint ptBoard(rcFrame.CenterPoint().x, rcFrame.bottom - 30);
        HWND hBoard = ::WindowFromPoint(ptBoard);
        ASSERT_TRUE(hBoard == m_pFrame->m_hWnd || ::IsChild(m_pFrame->m_hWnd, hBoard));
        EXPECT_FALSE(s.FilterMouse(WM_LBUTTONDOWN, hBoard, ptBoard)) << "a click on the board is eaten";
        EXPECT_TRUE(s.FilterMouse(WM_MOUSEMOVE, hBoard, ptBoard)) << "moves always pass";
        EXPECT_TRUE(s.FilterMouse(WM_LBUTTONDOWN, m_pStandard->m_hWnd, ScreenCentre(m_pStandard->GetControl(0))));
        EXPECT_TRUE(s.FilterMouse(WM_LBUTTONDOWN, s.m_hWnd, CPoint(0, 0)));
        EXPECT_TRUE(s.FilterMouse(WM_LBUTTONDOWN, ::GetDesktopWindow(), CPoint(0, 0))) << "outside the frame";
        // A release reaches the window holding the mouse (a floating pane's
        // drag holds the frame), and only that one.
        EXPECT_FALSE(s.FilterMouse(WM_LBUTTONUP, hBoard, ptBoard));
        ::SetCapture(hBoard);
        EXPECT_TRUE(s.FilterMouse(WM_LBUTTONUP, hBoard, ptBoard)) << "the drag would not end";
        EXPECT_FALSE(s.FilterMouse(WM_LBUTTONDOWN, hBoard, ptBoard));
        ::ReleaseCapture();
    });
}

TEST_F(CustomizeTest, ControlsOfBarsThatAreNotCustomizableMoveOnlyWhenAllAreCustomizable)
{
    CXTPToolBar* pTimer = m_pFrame->GetTimerBar();
    CXTPControl* pControl = pTimer->GetControl(0);
    ASSERT_NE((CXTPControl*)NULL, pControl);
    EXPECT_FALSE(pControl->IsCustomizeMovable());
    m_pCommandBars->SetCustomizeAll(TRUE);
    EXPECT_TRUE(pControl->IsCustomizeMovable());
    m_pCommandBars->SetCustomizeAll(FALSE);
    CXTPControl* pStandardFirst = m_pStandard->GetControl(0);
    EXPECT_TRUE(pStandardFirst->IsCustomizeMovable());
    pStandardFirst->SetFlags(pStandardFirst->GetFlags() | xtpFlagNoMovable);
    EXPECT_FALSE(pStandardFirst->IsCustomizeMovable());
    pStandardFirst->SetFlags(pStandardFirst->GetFlags() & ~xtpFlagNoMovable);
}

TEST_F(CustomizeTest, ACustomToolbarTakesTwoCommandsFromTheCommandsPage)
{
    CXTPCustomizeSheet sheet(m_pCommandBars);
    FillCommands(sheet);
    RunSheet(sheet, [&](CXTPCustomizeSheet& s) {
        CXTPToolBar* pCustom = m_pCommandBars->CreateCustomToolBar(CXTPNewToolbarDlg::ProposeName(m_pCommandBars), 0xE800);
        ASSERT_NE((CXTPToolBar*)NULL, pCustom);
        m_pFrame->RecalcLayout();
        PumpAndIdle();
        XTP_COMMANDBARS_CATEGORYINFO* pFile = s.GetCommandsPage()->FindCategory(_T("File"));
        CXTPControl* pOpen = pFile->pControls->FindControl(ID_FILE_OPEN);
        CXTPControl* pSave = pFile->pControls->FindControl(ID_SAVE_PUZZLE);
        ASSERT_TRUE(pOpen != NULL && pSave != NULL);
        CRect rcBar;
        pCustom->GetWindowRect(&rcBar);
        QueueDrop(s.m_hWnd, rcBar.CenterPoint());
        EXPECT_EQ(DROPEFFECT_MOVE, m_pCommandBars->GetDragTracker()->Track(pOpen, TRUE)) << "dropped on the empty bar";
        m_pFrame->RecalcLayout();
        PumpAndIdle();
        pCustom->GetWindowRect(&rcBar);
        QueueDrop(s.m_hWnd, CPoint(rcBar.right - 3, rcBar.CenterPoint().y));
        EXPECT_EQ(DROPEFFECT_MOVE, m_pCommandBars->GetDragTracker()->Track(pSave, TRUE));
        m_pFrame->RecalcLayout();
        PumpAndIdle();
        std::vector<int> expected = {ID_FILE_OPEN, ID_SAVE_PUZZLE};
        EXPECT_EQ(expected, Ids(pCustom));
        m_pCommandBars->SetDragControl(pCustom->GetControl(1));
        m_pFrame->SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        m_pFrame->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
        PumpAndIdle();
        EXPECT_TRUE(SaveScreenSnapshot(m_pFrame->m_hWnd, "frame_with_custom_toolbar"));
    });
}

TEST_F(CustomizeTest, AlwaysShowFullMenusShowsHiddenCommandsWithoutTheExpandButton)
{
    CXTPCommandBarsOptions* pOptions = m_pCommandBars->GetCommandBarsOptions();
    pOptions->bAlwaysShowFullMenus = FALSE;
    m_pCommandBars->HideCommand(ID_FILE_PRINT);
    CXTPMenuBar* pMenuBar = m_pFrame->GetMenuBar();
    auto openFile = [&]() -> CXTPCommandBar* {
        pMenuBar->SetPopuped(0, FALSE);
        PumpAndIdle();
        return pMenuBar->GetControl(0)->GetCommandBar();
    };
    auto closeMenus = [&]() {
        pMenuBar->SetTrackingMode(FALSE);
        XTPMouseManager()->CloseAllTracked();
        PumpAndIdle();
    };
    CXTPCommandBar* pFile = openFile();
    ASSERT_NE((CXTPCommandBar*)NULL, pFile);
    CXTPControl* pPrint = pFile->GetControls()->FindControl(ID_FILE_PRINT);
    ASSERT_NE((CXTPControl*)NULL, pPrint);
    EXPECT_FALSE(pPrint->IsVisible()) << "a hidden command is left out of the short menu";
    CXTPControl* pExpand = pFile->GetControls()->FindControl(XTP_ID_POPUPBAR_EXPAND);
    EXPECT_TRUE(pExpand != NULL && pExpand->IsVisible()) << "the short menu has its expand button";
    closeMenus();

    CXTPCustomizeSheet sheet(m_pCommandBars);
    CXTPCustomizeOptionsPage page(&sheet);
    sheet.AddPage(&page);
    RunSheet(sheet, [&](CXTPCustomizeSheet& s) {
        s.SetActivePage(&page);
        PumpAndIdle();
        ::SendMessage(::GetDlgItem(page.m_hWnd, XTP_IDC_OPTIONS_FULLMENUS), BM_CLICK, 0, 0);
        EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(page.m_hWnd, XTP_IDC_OPTIONS_AFTERDELAY)));
    });
    EXPECT_TRUE(pOptions->bAlwaysShowFullMenus);

    pFile = openFile();
    ASSERT_NE((CXTPCommandBar*)NULL, pFile);
    pPrint = pFile->GetControls()->FindControl(ID_FILE_PRINT);
    ASSERT_NE((CXTPControl*)NULL, pPrint);
    EXPECT_TRUE(pPrint->IsVisible()) << "full menus show every command";
    pExpand = pFile->GetControls()->FindControl(XTP_ID_POPUPBAR_EXPAND);
    EXPECT_TRUE(pExpand == NULL || !pExpand->IsVisible()) << "and no expand button";
    closeMenus();
    pOptions->bAlwaysShowFullMenus = FALSE;
}

TEST_F(CustomizeTest, EditButtonImageOpensTheEditorAndOKGivesACustomIcon)
{
    CXTPCustomizeSheet sheet(m_pCommandBars);
    RunSheet(sheet, [&](CXTPCustomizeSheet& s) {
        CXTPControl* pFirst = m_pStandard->GetControl(0);
        m_pCommandBars->SetDragControl(pFirst);
        // Cancel changes nothing.
        {
            bool bShown = false;
            ModalDriver editor(
                [&](HWND hDlg) {
                    bShown = true;
                    ModalDriver::Press(hDlg, IDCANCEL);
                },
                s.m_hWnd);
            s.OnEditButtonImage();
            EXPECT_TRUE(bShown) << "the button editor opened";
        }
        EXPECT_EQ(0, pFirst->GetCustomIconId());
        // OK hands the image back as a new custom icon.
        {
            ModalDriver editor(
                [&](HWND hDlg) {
                    ::SetWindowPos(hDlg, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
                    for (int i = 0; i < 5; i++)
                    {
                        PumpAndIdle();
                        ::Sleep(30);
                    }
                    ModalDriver::ShowNow(hDlg);
                    EXPECT_FALSE(testsupport::SaveWindowSnapshot(hDlg, "button_editor_from_context_menu").empty());
                    ModalDriver::Press(hDlg, IDOK);
                },
                s.m_hWnd);
            s.OnEditButtonImage();
        }
        int nCustom = pFirst->GetCustomIconId();
        EXPECT_GT(nCustom, 0);
        EXPECT_NE((CXTPImageManagerIcon*)NULL, m_pCommandBars->GetImageManager()->GetImage((UINT)nCustom, 16));
        // A second edit replaces that icon in place.
        {
            ModalDriver editor([&](HWND hDlg) { ModalDriver::Press(hDlg, IDOK); }, s.m_hWnd);
            s.OnEditButtonImage();
        }
        EXPECT_EQ(nCustom, pFirst->GetCustomIconId());
        s.OnResetButtonImage();
    });
}

TEST_F(CustomizeTest, TheEdgeOfASelectedEditBoxShowsTheResizeCursor)
{
    CXTPCustomizeSheet sheet(m_pCommandBars);
    RunSheet(sheet, [&](CXTPCustomizeSheet& s) {
        (void)s;
        CXTPControl* pEdit = m_pStandard->GetControls()->Add(xtpControlEdit, 4242);
        m_pStandard->OnRecalcLayout();
        PumpAndIdle();
        HCURSOR hResize = XTPResourceManager()->LoadCursor(XTP_IDC_COMMANDBARS_RESIZE);
        ASSERT_NE((HCURSOR)NULL, hResize);
        CRect rc = pEdit->GetRect();
        CPoint ptEdge(rc.right - 1, rc.CenterPoint().y), ptInside = rc.CenterPoint();
        m_pStandard->ClientToScreen(&ptEdge);
        m_pStandard->ClientToScreen(&ptInside);

        // Not selected: the edge is nothing special.
        ::SetCursorPos(ptEdge.x, ptEdge.y);
        m_pStandard->SendMessage(WM_SETCURSOR, (WPARAM)m_pStandard->m_hWnd, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        EXPECT_NE(hResize, ::GetCursor());
        m_pCommandBars->SetDragControl(pEdit);
        m_pStandard->SendMessage(WM_SETCURSOR, (WPARAM)m_pStandard->m_hWnd, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        EXPECT_EQ(hResize, ::GetCursor()) << "cursor 9972 on the selected box's edge";
        ::SetCursorPos(ptInside.x, ptInside.y);
        m_pStandard->SendMessage(WM_SETCURSOR, (WPARAM)m_pStandard->m_hWnd, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        EXPECT_NE(hResize, ::GetCursor()) << "not inside it";
        m_pCommandBars->SetDragControl(NULL);
        m_pStandard->GetControls()->Remove(pEdit);
    });
}

TEST_F(CustomizeTest, TheNameBoxShowsALongCaptionFromItsStart)
{
    CXTPCustomizeSheet sheet(m_pCommandBars);
    CXTPPopupBar* pMenu = sheet.GetContextMenu();
    ASSERT_NE((CXTPPopupBar*)NULL, pMenu);
    RunSheet(sheet, [&](CXTPCustomizeSheet&) {
        CXTPControl* pPrint = m_pStandard->GetControls()->FindControl(ID_FILE_PRINT);
        ASSERT_NE((CXTPControl*)NULL, pPrint);
        CXTPControlEdit* pName = (CXTPControlEdit*)pMenu->GetControls()->FindControl(XTP_ID_CUSTOMIZE_NAME);
        // The first showing makes the box's window; the second reuses it
        // with another text.
        for (LPCTSTR lpszCaption : {_T("Print Current Puzzle and its solution..."), _T("Print Every Puzzle Of The Book...")})
        {
            pPrint->SetCustomCaption(lpszCaption);
            m_pCommandBars->SetDragControl(pPrint);
            ASSERT_TRUE(pMenu->PopupAt(100, 100));
            PumpAndIdle(50);
            CWnd* pEdit = pName->GetEditCtrl();
            ASSERT_TRUE(pEdit != NULL && pEdit->GetSafeHwnd() != NULL);
            CString strText;
            pEdit->GetWindowText(strText);
            EXPECT_EQ(CString(lpszCaption), strText);
            CRect rcEdit;
            pEdit->GetClientRect(&rcEdit);
            CClientDC dc(pEdit);
            CXTPFontDC font(&dc, pEdit->GetFont());
            EXPECT_GT(dc.GetTextExtent(strText).cx, rcEdit.Width()) << "the caption is longer than the box";
            // The first character sits at the box's left edge.
            POINTL ptFirst = {-100, -100};
            pEdit->SendMessage(EM_POSFROMCHAR, (WPARAM)&ptFirst, 0);
            EXPECT_GE(ptFirst.x, 0) << lpszCaption;
            EXPECT_LE(ptFirst.x, 2) << lpszCaption;
            POINT ptScroll = {-1, -1};
            pEdit->SendMessage(EM_GETSCROLLPOS, 0, (LPARAM)&ptScroll);
            EXPECT_EQ(0, ptScroll.x) << lpszCaption;
            SaveScreenSnapshot(pMenu->m_hWnd, strText.GetLength() > 36 ? "name_box_first" : "name_box_again");
            pMenu->SetTrackingMode(FALSE);
            PumpAndIdle();
        }
    });
}

TEST_F(CustomizeTest, BeginAGroupIsOffOnTheFirstButtonOfEveryBar)
{
    m_pCommandBars->GetCommandBarsOptions()->bShowExpandButtonAlways = TRUE;
    CXTPCustomizeSheet sheet(m_pCommandBars);
    FillCommands(sheet);
    RunSheet(sheet, [&](CXTPCustomizeSheet& s) {
        XTP_COMMANDBARS_CATEGORYINFO* pFile = s.GetCommandsPage()->FindCategory(_T("File"));
        CXTPControl* pOpen = pFile->pControls->FindControl(ID_FILE_OPEN);
        CXTPControl* pSave = pFile->pControls->FindControl(ID_SAVE_PUZZLE);
        ASSERT_TRUE(pOpen != NULL && pSave != NULL);
        auto canBeginGroup = [&](CXTPControl* pControl) {
            m_pCommandBars->SetDragControl(pControl);
            RecordingCmdUI ui;
            ui.m_nID = XTP_ID_CUSTOMIZE_BEGINAGROUP;
            s.OnUpdateBeginGroup(&ui);
            return ui.bEnabled;
        };

        // A toolbar the player makes: the two commands dropped onto it come
        // before its expand button, and its first command cannot begin a group.
        CXTPToolBar* pCustom = m_pCommandBars->CreateCustomToolBar(_T("Custom 1"), 0xE800);
        ASSERT_NE((CXTPToolBar*)NULL, pCustom);
        PumpAndIdle();
        CRect rcBar;
        pCustom->GetWindowRect(&rcBar);
        QueueDrop(s.m_hWnd, rcBar.CenterPoint());
        EXPECT_EQ(DROPEFFECT_MOVE, m_pCommandBars->GetDragTracker()->Track(pOpen, TRUE));
        PumpAndIdle();
        pCustom->GetWindowRect(&rcBar);
        QueueDrop(s.m_hWnd, CPoint(rcBar.right - 3, rcBar.CenterPoint().y));
        EXPECT_EQ(DROPEFFECT_MOVE, m_pCommandBars->GetDragTracker()->Track(pSave, TRUE));
        PumpAndIdle();
        std::vector<int> expected = {ID_FILE_OPEN, ID_SAVE_PUZZLE};
        EXPECT_EQ(expected, Ids(pCustom));
        CXTPControl* pFirst = pCustom->GetControls()->FindControl(ID_FILE_OPEN);
        CXTPControl* pSecond = pCustom->GetControls()->FindControl(ID_SAVE_PUZZLE);
        EXPECT_EQ(0, pFirst->GetIndex()) << "the first drop goes in front of the expand button";
        EXPECT_EQ(XTP_ID_TOOLBAR_EXPAND, pCustom->GetControl(pCustom->GetControlCount() - 1)->GetID());
        EXPECT_FALSE(canBeginGroup(pFirst));
        EXPECT_TRUE(canBeginGroup(pSecond));

        // A bar made before keeps its expand button first: its first command
        // still cannot begin a group, by the menu or by a drop past its own
        // middle.
        CXTPToolBar* pOld = m_pCommandBars->CreateCustomToolBar(_T("Custom 2"), 0xE801);
        ASSERT_NE((CXTPToolBar*)NULL, pOld);
        PumpAndIdle();
        ASSERT_EQ(XTP_ID_TOOLBAR_EXPAND, pOld->GetControl(0)->GetID());
        CXTPControl* pOldFirst = pOld->GetControls()->Add(xtpControlButton, ID_FILE_OPEN);
        pOld->GetControls()->Add(xtpControlButton, ID_SAVE_PUZZLE);
        pOld->OnRecalcLayout();
        PumpAndIdle();
        EXPECT_EQ(1, pOldFirst->GetIndex());
        EXPECT_TRUE(pOld->GetControl(0)->IsVisible()) << "the expand button shows always";
        EXPECT_FALSE(canBeginGroup(pOldFirst));
        CRect rc = pOldFirst->GetRect();
        DROPEFFECT effect = DROPEFFECT_MOVE;
        pOld->OnCustomizeDrop(pOldFirst, effect, CPoint(rc.CenterPoint().x + 3, rc.CenterPoint().y),
                              CPoint(rc.left - 10, rc.CenterPoint().y));
        EXPECT_FALSE(pOldFirst->GetBeginGroup()) << "no group on the first button";

        // The Standard bar with its first button hidden by the player: the
        // button after it is now the first.
        CXTPControl* pNew = m_pStandard->GetControl(0);
        CXTPControl* pNext = m_pStandard->GetControl(1);
        EXPECT_FALSE(canBeginGroup(pNew));
        EXPECT_TRUE(canBeginGroup(pNext));
        pNew->SetHideFlag(xtpHideCustomize, TRUE);
        EXPECT_FALSE(canBeginGroup(pNext));
        pNew->SetHideFlag(xtpHideCustomize, FALSE);
        // A button that only does not fit still counts as shown.
        pNew->SetHideFlag(xtpHideWrap, TRUE);
        EXPECT_TRUE(canBeginGroup(pNext));
        pNew->SetHideFlag(xtpHideWrap, FALSE);
        m_pCommandBars->SetDragControl(NULL);
        m_pCommandBars->Remove(pOld);
        m_pCommandBars->Remove(pCustom);
    });
}

TEST_F(CustomizeTest, TheImagePaletteIsAGridOfPlainImagesWhateverTheBarsShow)
{
    // The bars show text below large icons; the palette does not.
    CXTPCommandBarsOptions* pOptions = m_pCommandBars->GetCommandBarsOptions();
    pOptions->bShowTextBelowIcons = TRUE;
    pOptions->bLargeIcons = TRUE;
    CXTPCustomizeSheet sheet(m_pCommandBars);
    CXTPPopupBar* pMenu = sheet.GetContextMenu();
    ASSERT_NE((CXTPPopupBar*)NULL, pMenu);
    RunSheet(sheet, [&](CXTPCustomizeSheet& s) {
        m_pCommandBars->SetDragControl(m_pStandard->GetControl(0));
        CXTPControlPopup* pChange = (CXTPControlPopup*)pMenu->GetControls()->FindControl(XTP_ID_CUSTOMIZE_CHANGEBUTTONIMAGE);
        CXTPPopupBar* pPalette = (CXTPPopupBar*)pChange->GetCommandBar();
        ASSERT_NE((CXTPPopupBar*)NULL, pPalette);
        s.SendMessage(WM_XTP_INITCOMMANDSPOPUP, 0, (LPARAM)pPalette);
        ASSERT_EQ(42, pPalette->GetControlCount());
        EXPECT_EQ(6 * 23 + 6, pPalette->GetMRUWidth());
        ASSERT_TRUE(pPalette->PopupAt(100, 100));
        PumpAndIdle(50);

        // 42 images of 23 pixels, six to a row: seven rows.
        std::set<int> rows, columns;
        for (int i = 0; i < pPalette->GetControlCount(); i++)
        {
            CRect rc = pPalette->GetControl(i)->GetRect();
            EXPECT_EQ(CSize(23, 23), rc.Size()) << "image " << i + 1;
            rows.insert(rc.top);
            columns.insert(rc.left);
        }
        EXPECT_EQ(7u, rows.size());
        EXPECT_EQ(6u, columns.size());
        CRect rcWindow;
        pPalette->GetWindowRect(&rcWindow);
        EXPECT_LE(rcWindow.Width(), 6 * 23 + 6);
        EXPECT_GT(rcWindow.Width(), 6 * 23);
        EXPECT_GT(rcWindow.Height(), 7 * 23);
        EXPECT_LE(rcWindow.Height(), 7 * 23 + 10);
        SaveScreenSnapshot(pPalette->m_hWnd, "image_palette_text_below_large_icons");
        pPalette->SetTrackingMode(FALSE);
        // The bars themselves still show text below their icons.
        EXPECT_TRUE(m_pStandard->GetShowTextBelowIcons());
    });
}

TEST_F(CustomizeTest, ADroppedButtonShowsNoTipUnderTheMouse)
{
    CXTPCustomizeSheet sheet(m_pCommandBars);
    FillCommands(sheet);
    RunSheet(sheet, [&](CXTPCustomizeSheet& s) {
        CXTPControl* pOpen = s.GetCommandsPage()->FindCategory(_T("File"))->pControls->FindControl(ID_FILE_OPEN);
        ASSERT_NE((CXTPControl*)NULL, pOpen);
        auto tipAt = [&](CXTPControl* pControl) {
            TOOLINFO ti;
            ZeroMemory(&ti, sizeof(ti));
            ti.cbSize = 40;
            // The bar answers as the window it is (the hit test is CWnd's).
            INT_PTR nHit = static_cast<CWnd*>(m_pStandard)->OnToolHitTest(pControl->GetRect().CenterPoint(), &ti);
            free(ti.lpszText);
            return nHit;
        };
        CXTPControl* pThird = m_pStandard->GetControl(2);
        CPoint pt = ScreenCentre(pThird);
        pt.x -= pThird->GetRect().Width() / 4;
        QueueDrop(s.m_hWnd, pt);
        ASSERT_EQ(DROPEFFECT_MOVE, m_pCommandBars->GetDragTracker()->Track(pOpen, TRUE));
        CXTPControl* pDropped = m_pStandard->GetControl(2);
        ASSERT_EQ(ID_FILE_OPEN, pDropped->GetID());
        ASSERT_EQ(pDropped, m_pCommandBars->GetDragControl());

        // The mouse rests on the dropped button: it shows no tip; its
        // neighbours still do.
        EXPECT_EQ(-1, tipAt(pDropped));
        EXPECT_EQ(m_pStandard->GetControl(3)->GetID(), tipAt(m_pStandard->GetControl(3)));
        // Once another control is picked, the dropped one has its tip again.
        m_pCommandBars->SetDragControl(m_pStandard->GetControl(3));
        EXPECT_EQ(ID_FILE_OPEN, tipAt(pDropped));
        m_pCommandBars->SetDragControl(NULL);
    });
}

// While the button editor is open nothing else in customize mode changes
// the bars: clicks on the bars and the sheet are held, the context menu,
// a second editor and drags do not start.
TEST_F(CustomizeTest, WhileTheButtonEditorIsOpenNothingElseChangesTheBars)
{
    CXTPCustomizeSheet sheet(m_pCommandBars);
    RunSheet(sheet, [&](CXTPCustomizeSheet& s) {
        CXTPControl* pFirst = m_pStandard->GetControl(0);
        CXTPControl* pSecond = m_pStandard->GetControls()->FindControl(ID_UNDO_MOVE);
        ASSERT_NE((CXTPControl*)NULL, pSecond);
        const int nCount = m_pStandard->GetControlCount();
        m_pCommandBars->SetDragControl(pFirst);
        int nOtherDialogs = 0;
        bool bShown = false;
        ModalDriver editor(
            [&](HWND hDlg) {
                bShown = true;
                ModalDriver::ShowNow(hDlg);
                EXPECT_EQ(pFirst, s.GetEditedControl());
                EXPECT_FALSE(s.FilterMouse(WM_LBUTTONDOWN, m_pStandard->m_hWnd, ScreenCentre(pSecond)))
                    << "a click on a bar is held";
                EXPECT_FALSE(s.FilterMouse(WM_RBUTTONDOWN, m_pStandard->m_hWnd, ScreenCentre(pFirst)));
                EXPECT_FALSE(s.FilterMouse(WM_LBUTTONDOWN, s.m_hWnd, CPoint(0, 0))) << "and on the sheet";
                EXPECT_TRUE(s.FilterMouse(WM_LBUTTONDOWN, hDlg, CPoint(0, 0))) << "the editor takes clicks";
                EXPECT_TRUE(s.FilterMouse(WM_MOUSEMOVE, m_pStandard->m_hWnd, ScreenCentre(pSecond)));

                // The context menu, a second editor and a drag do not start.
                s.ContextMenu(ScreenCentre(pFirst));
                EXPECT_EQ(0, (int)XTPMouseManager()->GetTrackArray().GetSize()) << "a context menu opened";
                {
                    ModalDriver second(
                        [&](HWND hOther) {
                            nOtherDialogs++;
                            ModalDriver::Press(hOther, IDCANCEL);
                        },
                        hDlg);
                    s.OnEditButtonImage();
                    PumpAndIdle();
                }
                EXPECT_EQ(CXTPCustomizeDragTracker::dropCancelled,
                          m_pCommandBars->GetDragTracker()->Track(pSecond, FALSE));
                EXPECT_EQ(nCount, m_pStandard->GetControlCount());

                ModalDriver::Press(hDlg, IDCANCEL);
            },
            s.m_hWnd);
        s.OnEditButtonImage();
        EXPECT_TRUE(bShown) << "the button editor opened";
        EXPECT_EQ(0, nOtherDialogs) << "a second editor opened";
        EXPECT_EQ(NULL, s.GetEditedControl());
    });
}

// OK gives the image to the button the editor was opened for and to no
// other: not when that button left its bar while the editor was open (a
// copy of another button in its place), and not to a copy that shares the
// button's own image.
TEST_F(CustomizeTest, OKChangesOnlyTheButtonTheEditorWasOpenedFor)
{
    CXTPCustomizeSheet sheet(m_pCommandBars);
    RunSheet(sheet, [&](CXTPCustomizeSheet& s) {
        CXTPControl* pFirst = m_pStandard->GetControl(0);
        CXTPControl* pUndo = m_pStandard->GetControls()->FindControl(ID_UNDO_MOVE);
        ASSERT_NE((CXTPControl*)NULL, pUndo);
        pFirst->InternalAddRef();
        m_pCommandBars->SetDragControl(pFirst);
        bool bShown = false;
        {
            ModalDriver editor(
                [&](HWND hDlg) {
                    bShown = true;
                    // The program takes the button away and copies Undo to
                    // its place meanwhile.
                    m_pCommandBars->SetDragControl(NULL);
                    m_pStandard->GetControls()->Remove(pFirst);
                    m_pStandard->GetControls()->AddClone(pUndo, 0);
                    m_pCommandBars->SetDragControl(m_pStandard->GetControl(0));
                    ModalDriver::Press(hDlg, IDOK);
                },
                s.m_hWnd);
            s.OnEditButtonImage();
        }
        EXPECT_TRUE(bShown) << "the button editor opened";
        EXPECT_EQ(0, pFirst->GetCustomIconId()) << "the removed button was changed";
        for (int i = 0; i < m_pStandard->GetControlCount(); i++)
            EXPECT_EQ(0, m_pStandard->GetControl(i)->GetCustomIconId()) << "control " << i << " took the image";
        pFirst->InternalRelease();

        // The copy of Undo edited gets an icon of its own.
        CXTPControl* pCopy = m_pStandard->GetControl(0);
        m_pCommandBars->SetDragControl(pCopy);
        {
            ModalDriver editor([&](HWND hDlg) { ModalDriver::Press(hDlg, IDOK); }, s.m_hWnd);
            s.OnEditButtonImage();
        }
        const int nShared = pCopy->GetCustomIconId();
        ASSERT_GT(nShared, 0);
        // Copied again, the two show the same icon; editing one gives it a
        // new icon and leaves the other's.
        CXTPControl* pTwin = m_pStandard->GetControls()->AddClone(pCopy, 1);
        ASSERT_EQ(nShared, pTwin->GetCustomIconId()) << "a copy shows the same custom icon";
        {
            ModalDriver editor([&](HWND hDlg) { ModalDriver::Press(hDlg, IDOK); }, s.m_hWnd);
            s.OnEditButtonImage();
        }
        EXPECT_NE(nShared, pCopy->GetCustomIconId());
        EXPECT_GT(pCopy->GetCustomIconId(), 0);
        EXPECT_EQ(nShared, pTwin->GetCustomIconId()) << "the other copy changed";
        // An icon of its own is changed in place.
        const int nOwn = pCopy->GetCustomIconId();
        {
            ModalDriver editor([&](HWND hDlg) { ModalDriver::Press(hDlg, IDOK); }, s.m_hWnd);
            s.OnEditButtonImage();
        }
        EXPECT_EQ(nOwn, pCopy->GetCustomIconId());
        m_pStandard->GetControls()->Remove(pTwin);
        m_pStandard->GetControls()->Remove(pCopy);
    });
}

// The toolbars list of a menu dragged onto a toolbar: the toolbar refuses
// it, and let go there it stays in its menu; dragged away from every bar
// it is taken off, as any control is.
TEST_F(CustomizeTest, TheToolbarsListLetGoOverAToolbarStaysInItsMenu)
{
    CXTPCustomizeSheet sheet(m_pCommandBars);
    RunSheet(sheet, [&](CXTPCustomizeSheet& s) {
        CXTPPopupBar* pMenu = CXTPPopupBar::CreatePopupBar(m_pCommandBars);
        CXTPControl* pList = pMenu->GetControls()->Add(xtpControlButton, XTP_ID_TOOLBARLIST);
        ASSERT_TRUE(pList->IsKindOf(RUNTIME_CLASS(CXTPControlToolbars)));
        const int nCount = m_pStandard->GetControlCount();

        QueueDrop(s.m_hWnd, ScreenCentre(m_pStandard->GetControl(1)));
        pList->OnCustomizeClick(CPoint(0, 0));
        EXPECT_EQ(nCount, m_pStandard->GetControlCount()) << "the list landed on the toolbar";
        ASSERT_EQ(1, pMenu->GetControlCount()) << "the list left its menu";
        EXPECT_EQ(pList, pMenu->GetControl(0));

        CRect rcFrame;
        m_pFrame->GetWindowRect(&rcFrame);
        QueueDrop(s.m_hWnd, CPoint(rcFrame.CenterPoint().x, rcFrame.bottom - 30));
        pList->OnCustomizeClick(CPoint(0, 0));
        EXPECT_EQ(0, pMenu->GetControlCount()) << "dragged away from the bars it goes";
        pMenu->InternalRelease();
    });
}
