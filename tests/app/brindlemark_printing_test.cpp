// Printing from the command line, print preview and Print Setup, with test
// printers (Wine's PostScript driver writing each job to a file) installed
// into the prefix for the test.
// ctest: run-serial
// ctest: lock registry
#include "brindlemark_fixture.h"

#include "support/printer.h"
#include "support/snapshot.h"
#include "support/tempfolder.h"

#include "ApplicationInfo.h"
#include "HTDataContainer.h"
#include "HTGenerator.h"
#include "resource.h"

#include <memory>
#include <string>

using namespace gametest;

namespace
{
const char kTestPrinterA[] = "Brindlemark Test A";

const char kTestPrinterB[] = "Brindlemark Test B";

const char kInstallAPrinter[] = "Before you can perform printer-related tasks such as page setup or printing a "
                                "document, you need to install a printer. Please install one and retry.";

// Starts the game with the arguments and waits for it to end by itself;
// false (and the game ended by force) when it does not.
bool RunToTheEnd(const std::string& strArguments, DWORD* pdwExit = NULL)
{
    PROCESS_INFORMATION pi = {};
    if (!StartGameWith(strArguments, pi))
        return false;
    const bool bEnded = ::WaitForSingleObject(pi.hProcess, 30000) == WAIT_OBJECT_0;
    if (!bEnded)
        ::TerminateProcess(pi.hProcess, 1);
    if (pdwExit != NULL)
        ::GetExitCodeProcess(pi.hProcess, pdwExit);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    return bEnded;
}

// The visible top-level window of the process titled strTitle whose static
// text says pszText, waited for.
HWND WaitForTextWindow(DWORD dwPid, const char* pszTitle, const char* pszText, int nMilliseconds = 15000)
{
    for (int n = 0; n < nMilliseconds / 50; n++)
    {
        for (HWND hWnd : TopLevels(dwPid, "#32770"))
        {
            if (::IsWindowVisible(hWnd) && WindowText(hWnd) == pszTitle && !Descendants(hWnd, pszText, "").empty())
                return hWnd;
        }
        Wait(50);
    }
    return NULL;
}

// The visible windows of a class below the frame.
int VisibleChildren(HWND hFrame, const char* pszClass)
{
    return (int)VisibleDescendants(hFrame, pszClass).size();
}

// The combo box of a printing dialog that lists the printers.
HWND PrinterCombo(HWND hDialog)
{
    for (HWND hCombo : Descendants(hDialog, "", "ComboBox"))
        if (::SendMessage(hCombo, CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)kTestPrinterB) >= 0)
            return hCombo;
    return NULL;
}

std::string ComboSelection(HWND hCombo)
{
    // The dialogs' lists hold wide text.
    WCHAR szText[256] = L"";
    LRESULT nSel = ::SendMessageW(hCombo, CB_GETCURSEL, 0, 0);
    if (nSel >= 0 && ::SendMessageW(hCombo, CB_GETLBTEXTLEN, (WPARAM)nSel, 0) < 255)
        ::SendMessageW(hCombo, CB_GETLBTEXT, (WPARAM)nSel, (LPARAM)szText);
    char szNarrow[256] = "";
    ::WideCharToMultiByte(CP_ACP, 0, szText, -1, szNarrow, sizeof(szNarrow), NULL, NULL);
    return szNarrow;
}

// Writes a 7 x 7 puzzle file in play, without a time limit.
bool WritePuzzleToPrint(const std::string& strFile)
{
    CHTDataContainer puzzle;
    CHTGenerator generator;
    bool bMade = false;
    for (int i = 0; i < 50 && !bMade; i++)
        bMade = generator.Generate(NULL, 7, 7, &puzzle) != FALSE;
    if (!bMade)
        return false;
    CGradeInfo grade = CGradeInfo::MakeEasyProfile();
    grade.m_nColumns = grade.m_nRows = 7;
    grade.m_bForceComplete = 0;
    CAppearanceInfo appearance;
    puzzle.ApplySquareColours(appearance);
    puzzle.m_AppearanceInfo.CopyFrom(appearance);
    puzzle.SetGradeInfo(grade);
    puzzle.m_nGameState = htgsPlaying;
    return puzzle.WriteToFile(strFile.c_str()) != FALSE;
}

// Opens the print preview and presses Alt and a letter with the frame in
// front.
void PressAltInThePreview(Game& game, HWND hView, WORD chKey)
{
    game.Command(ID_FILE_PRINT_PREVIEW);
    Wait(500);
    EXPECT_NE(hView, game.View()) << "the preview did not open";
    game.ToFront();
    PressKeys({VK_MENU, chKey});
    Wait(500);
}

class BrindlemarkPrinting : public Brindlemark
{
protected:
    void SetUp() override
    {
        Brindlemark::SetUp();
        if (IsSkipped())
            return;
        testsupport::RemoveLeftoverTestPrinters();
        if (!testsupport::InstalledPrinters().empty())
            GTEST_SKIP() << "the prefix has printers of its own";
        m_strPuzzle = m_folder.Path("printed.hti");
        ASSERT_TRUE(WritePuzzleToPrint(m_strPuzzle));
    }
    void InstallPrinters()
    {
        m_pA.reset(new testsupport::CTestPrinter(kTestPrinterA, m_folder.Path("a.ps"), true));
        m_pB.reset(new testsupport::CTestPrinter(kTestPrinterB, m_folder.Path("b.ps"), false));
        ASSERT_TRUE(m_pA->Installed() && m_pB->Installed()) << "no test printer";
    }
    int PagesOf(const char* pszName) { return testsupport::CountPostScriptPages(m_folder.Path(pszName)); }
    // Waits for a job to reach the printer's file.
    int WaitForPages(const char* pszName)
    {
        for (int n = 0; n < 200 && PagesOf(pszName) <= 0; n++)
            Wait(50);
        return PagesOf(pszName);
    }
    void TearDown() override
    {
        m_pA.reset();
        m_pB.reset();
        Brindlemark::TearDown();
        ClearSettings();
    }

    testsupport::CTempFolder m_folder;
    std::string m_strPuzzle;
    std::unique_ptr<testsupport::CTestPrinter> m_pA, m_pB;
};
} // namespace

// Brindlemark.exe /p prints the puzzle on one page of the default printer
// and ends; /pt prints it on the printer it names.
TEST_F(BrindlemarkPrinting, PrintingFromTheCommandLinePrintsThePuzzleAndEnds)
{
    InstallPrinters();
    DWORD dwExit = 0;
    EXPECT_TRUE(RunToTheEnd(" /p \"" + m_strPuzzle + "\"", &dwExit)) << "/p did not end";
    EXPECT_EQ(1, PagesOf("a.ps")) << "/p printed nothing on the default printer";
    EXPECT_EQ(-1, PagesOf("b.ps"));
    // The page holds the board's picture.
    EXPECT_NE(std::string::npos, testsupport::ReadFileBytes(m_folder.Path("a.ps")).find("image"));

    EXPECT_TRUE(RunToTheEnd(" /pt \"" + m_strPuzzle + "\" \"" + kTestPrinterB + "\"")) << "/pt did not end";
    EXPECT_EQ(1, PagesOf("b.ps")) << "/pt did not print on the printer it names";
}

// Without a printer, /p and the print preview tell the player to install
// one, as the print command does; /p then ends.
TEST_F(BrindlemarkPrinting, WithoutAPrinterPrintingAndPreviewSaySo)
{
    PROCESS_INFORMATION pi = {};
    ASSERT_TRUE(StartGameWith(" /p \"" + m_strPuzzle + "\"", pi));
    HWND hMessage = WaitForTextWindow(pi.dwProcessId, "Print", kInstallAPrinter);
    EXPECT_TRUE(hMessage != NULL) << "/p without a printer said nothing";
    if (hMessage != NULL)
    {
        testsupport::SaveScreenSnapshot(hMessage, "print_without_printer");
        ClickButton(hMessage, "OK");
    }
    WaitForGameToEnd(pi);

    Game game(" \"" + m_strPuzzle + "\"", "printed.hti - Brindlemark");
    ASSERT_TRUE(game.Frame() != NULL);
    HWND hView = game.View();
    game.Command(ID_FILE_PRINT_PREVIEW);
    hMessage = WaitForTextWindow(game.Pid(), "Print", kInstallAPrinter);
    EXPECT_TRUE(hMessage != NULL) << "the preview without a printer said nothing";
    if (hMessage != NULL)
        ClickButton(hMessage, "OK");
    Wait(500);
    EXPECT_EQ(hView, game.View()) << "a preview without a printer";
    EXPECT_TRUE(::IsWindowVisible(hView));
    EXPECT_EQ(0, CloseWithoutSaving(game, 3000));
}

// The preview shows the puzzle's page with the preview bar, hides the
// command bars and turns the shortcuts off; Close gives them back.
TEST_F(BrindlemarkPrinting, ThePreviewShowsThePageAndGivesTheBarsAndShortcutsBack)
{
    InstallPrinters();
    Game game(" \"" + m_strPuzzle + "\"", "printed.hti - Brindlemark");
    ASSERT_TRUE(game.Frame() != NULL);
    HWND hFrame = game.Frame();
    HWND hView = game.View();
    const int nBars = VisibleChildren(hFrame, "XTPToolBar");
    ASSERT_GT(nBars, 0);

    game.Command(ID_FILE_PRINT_PREVIEW);
    Wait(1000);
    HWND hPreview = game.View();
    ASSERT_TRUE(hPreview != NULL && hPreview != hView) << "no preview";
    EXPECT_FALSE(::IsWindowVisible(hView));
    EXPECT_EQ(0, VisibleChildren(hFrame, "XTPToolBar")) << "the command bars stay in the preview";
    HWND hBar = ::GetDlgItem(hFrame, 0xE802);
    ASSERT_TRUE(hBar != NULL && ::IsWindowVisible(hBar)) << "no preview bar";
    for (const char* pszButton :
         {"&Print...", "&Next Page", "Pre&v Page", "&Two Page", "Zoom &In", "Zoom &Out", "&Close"})
        EXPECT_EQ(1u, Descendants(hBar, pszButton, "Button").size()) << pszButton;
    // One page: no next page, no two pages.
    EXPECT_FALSE(::IsWindowEnabled(Descendants(hBar, "&Next Page", "Button")[0]));
    EXPECT_FALSE(::IsWindowEnabled(Descendants(hBar, "&Two Page", "Button")[0]));
    testsupport::SaveScreenSnapshot(hFrame, "print_preview");

    // The page on the screen: white paper with the board's colours on it.
    RECT rcPreview;
    ::GetWindowRect(hPreview, &rcPreview);
    HDC hScreen = ::GetDC(NULL);
    int nWhite = 0, nColoured = 0, nSamples = 0;
    for (int y = rcPreview.top + 10; y < rcPreview.bottom - 10; y += 7)
        for (int x = rcPreview.left + 10; x < rcPreview.right - 10; x += 7)
        {
            const COLORREF clr = ::GetPixel(hScreen, x, y);
            nSamples++;
            if (clr == RGB(255, 255, 255))
                nWhite++;
            else if (clr != ::GetSysColor(COLOR_APPWORKSPACE) && clr != RGB(0, 0, 0))
                nColoured++;
        }
    ::ReleaseDC(NULL, hScreen);
    EXPECT_GT(nWhite, nSamples / 10) << "no paper";
    EXPECT_GT(nColoured, nSamples / 50) << "no puzzle on the page";

    // Shortcuts are off: Ctrl+N opens nothing.
    ::SetForegroundWindow(hFrame);
    Wait(200);
    PressKeys({VK_CONTROL, 'N'});
    Wait(700);
    EXPECT_TRUE(VisibleDialogs(game.Pid()).empty()) << "a shortcut worked in the preview";

    // Zoom In, clicked: the page grows and scrolls; Zoom Out, clicked: whole again.
    auto clickButton = [&](const char* pszButton) {
        RECT rc;
        ::GetWindowRect(Descendants(hBar, pszButton, "Button")[0], &rc);
        ClickScreen({(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2}, false);
        Wait(300);
    };
    clickButton("Zoom &In");
    EXPECT_TRUE(::GetWindowLong(hPreview, GWL_STYLE) & WS_VSCROLL) << "the zoomed page does not scroll";
    EXPECT_TRUE(::IsWindowEnabled(Descendants(hBar, "Zoom &Out", "Button")[0]));
    testsupport::SaveScreenSnapshot(hFrame, "print_preview_zoomed");
    clickButton("Zoom &Out");
    EXPECT_FALSE(::GetWindowLong(hPreview, GWL_STYLE) & WS_VSCROLL);

    // Close, clicked.
    HWND hClose = Descendants(hBar, "&Close", "Button")[0];
    RECT rcClose;
    ::GetWindowRect(hClose, &rcClose);
    ClickScreen({(rcClose.left + rcClose.right) / 2, (rcClose.top + rcClose.bottom) / 2}, false);
    Wait(500);
    EXPECT_EQ(hView, game.View()) << "the board is not back";
    EXPECT_TRUE(::IsWindowVisible(hView));
    EXPECT_FALSE(::IsWindow(hPreview));
    EXPECT_EQ(nBars, VisibleChildren(hFrame, "XTPToolBar")) << "the command bars are not back";
    EXPECT_EQ(-1, PagesOf("a.ps")) << "the preview printed";

    // Shortcuts work again: Ctrl+N opens New Puzzle.
    ::SetForegroundWindow(hFrame);
    Wait(200);
    PressKeys({VK_CONTROL, 'N'});
    HWND hDialog = WaitForDialogOtherThan(game.Pid(), NULL, 5000);
    EXPECT_TRUE(hDialog != NULL) << "the shortcuts stay off after the preview";
    if (hDialog != NULL)
    {
        ::PostMessage(hDialog, WM_COMMAND, IDCANCEL, 0);
        WaitUntilGone(hDialog);
    }

    // Closing the game in the preview closes the preview; the bars are kept
    // shown for the next start. Alt and a letter of the hidden menu bar
    // open no menu meanwhile.
    PressAltInThePreview(game, hView, 'F');
    EXPECT_FALSE(AnyPopupBarVisible(game.Pid())) << "the hidden menu bar opened its File menu";
    EXPECT_NE(hView, game.View());
    ::PostMessage(hFrame, WM_CLOSE, 0, 0);
    Wait(700);
    EXPECT_TRUE(game.IsRunning());
    EXPECT_EQ(hView, game.View());
    EXPECT_EQ(nBars, VisibleChildren(hFrame, "XTPToolBar"));

    // Alt and the access key of Close close it from the keyboard.
    PressAltInThePreview(game, hView, 'C');
    EXPECT_EQ(hView, game.View()) << "Alt+C did not close the preview";
    EXPECT_EQ(0, CloseWithoutSaving(game, 3000));
}

// A profile pane docked beside the board steps aside while the preview
// shows, and the status bar names the page; both come back on closing.
TEST_F(BrindlemarkPrinting, TheProfilePaneStepsAsideForThePreviewWhichNamesThePage)
{
    InstallPrinters();
    Game game(" \"" + m_strPuzzle + "\"", "printed.hti - Brindlemark");
    ASSERT_TRUE(game.Frame() != NULL);
    HWND hFrame = game.Frame();
    HWND hView = game.View();
    game.Command(ID_APPEARANCE_PANE);
    Wait(300);
    ASSERT_EQ(1, VisibleChildren(hFrame, "XTPDockingPaneTabbedContainer")) << "no profile pane";
    RECT rcViewBefore;
    ::GetWindowRect(hView, &rcViewBefore);

    game.Command(ID_FILE_PRINT_PREVIEW);
    Wait(1000);
    HWND hPreview = game.View();
    ASSERT_TRUE(hPreview != NULL && hPreview != hView) << "no preview";
    EXPECT_EQ(0, VisibleChildren(hFrame, "XTPDockingPaneTabbedContainer")) << "the pane stays beside the preview";
    RECT rcClient, rcPreview;
    ::GetClientRect(hFrame, &rcClient);
    ::MapWindowPoints(hFrame, NULL, (LPPOINT)&rcClient, 2);
    ::GetWindowRect(hPreview, &rcPreview);
    EXPECT_EQ(rcClient.left, rcPreview.left) << "the preview does not take the pane's room";
    EXPECT_EQ("Page 1", WaitForStatusText(hFrame, "Page 1"));
    testsupport::SaveScreenSnapshot(hFrame, "print_preview_with_pane");

    ::PostMessage(hPreview, WM_KEYDOWN, VK_ESCAPE, 0);
    Wait(700);
    EXPECT_EQ(hView, game.View()) << "the board is not back";
    EXPECT_EQ(1, VisibleChildren(hFrame, "XTPDockingPaneTabbedContainer")) << "the pane is not back";
    RECT rcView;
    ::GetWindowRect(hView, &rcView);
    EXPECT_EQ(rcViewBefore.left, rcView.left);
    EXPECT_EQ("Ready", WaitForStatusText(hFrame, "Ready"));
    EXPECT_EQ(0, CloseWithoutSaving(game, 3000));
}

// The printer chosen in Print Setup is the one direct printing prints on
// and the one the print dialog starts from.
TEST_F(BrindlemarkPrinting, PrintingStartsFromThePrinterChosenInPrintSetup)
{
    InstallPrinters();
    Game game(" \"" + m_strPuzzle + "\"", "printed.hti - Brindlemark");
    ASSERT_TRUE(game.Frame() != NULL);
    ::PostMessage(game.Frame(), WM_COMMAND, ID_FILE_PRINT_SETUP, 0);
    HWND hSetup = WaitForDialogOtherThan(game.Pid(), NULL, 10000);
    ASSERT_TRUE(hSetup != NULL) << "no Print Setup";
    HWND hCombo = PrinterCombo(hSetup);
    ASSERT_TRUE(hCombo != NULL) << "no printer list in " << WindowText(hSetup);
    EXPECT_EQ(kTestPrinterA, ComboSelection(hCombo)) << "Print Setup does not start from the default printer";
    ::SendMessage(hCombo, CB_SELECTSTRING, (WPARAM)-1, (LPARAM)kTestPrinterB);
    ::SendMessage(hSetup, WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(hCombo), CBN_SELCHANGE), (LPARAM)hCombo);
    ClickDialogButton(hSetup, IDOK);
    EXPECT_TRUE(WaitUntilGone(hSetup));

    // Direct printing, as a button of a program on the toolkit gives it.
    game.Command(ID_FILE_PRINT_DIRECT);
    EXPECT_EQ(1, WaitForPages("b.ps")) << "direct printing did not print on the chosen printer";
    EXPECT_EQ(-1, PagesOf("a.ps"));

    // Print Current Puzzle: the dialog starts from the chosen printer.
    ::DeleteFileA(m_folder.Path("b.ps").c_str());
    game.ToFront();
    PressKeys({VK_CONTROL, 'P'});
    HWND hPrint = WaitForDialogOtherThan(game.Pid(), NULL, 10000);
    ASSERT_TRUE(hPrint != NULL) << "no print dialog";
    hCombo = PrinterCombo(hPrint);
    ASSERT_TRUE(hCombo != NULL);
    EXPECT_EQ(kTestPrinterB, ComboSelection(hCombo)) << "the print dialog starts from the default printer";
    ClickDialogButton(hPrint, IDOK);
    EXPECT_EQ(1, WaitForPages("b.ps")) << "Print Current Puzzle did not print on the chosen printer";
    EXPECT_EQ(-1, PagesOf("a.ps"));
    EXPECT_EQ(0, CloseWithoutSaving(game, 3000));
}
