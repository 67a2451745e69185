// Printing: where a puzzle goes on a page, drawing it on a page-sized DC,
// the pages of puzzle books, cancelling a book, and the book dialog's count.
// ctest: lock registry
#include "support/snapshot.h"
#include "support/gameapp.h"
#include "support/modal.h"

#include "ApplicationInfo.h"
#include "CreateProgress.h"
#include "HTGenerator.h"
#include "PrintPuzzleBookDlg.h"
#include "PuzzlePrinting.h"

using testsupport::Script;

namespace
{
::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new testsupport::Environment);

// Records the pages and which puzzle state went onto them.
class PageLog : public CPrintPageSink
{
public:
    virtual void StartPage(CDC*) { m_nStarted++; }
    virtual void EndPage(CDC*) { m_nEnded++; }
    int m_nStarted = 0;
    int m_nEnded = 0;
};

// A progress that lets the generator run a number of tries, then cancels.
class CancelAfter : public CHTGeneratorProgress
{
public:
    explicit CancelAfter(int nTries) : m_nLeft(nTries) {}
    virtual BOOL IsCancelled() const { return m_nLeft <= 0; }
    virtual void StepProgress() { m_nLeft--; }
    virtual void PumpMessages() {}
    int m_nLeft;
};

struct Profiles
{
    Profiles()
    {
        testsupport::ClearGameRegistry();
        g_ApplicationInfo.LoadFromRegistry();
    }
};
} // namespace

TEST(PuzzlePrinting, SlotsFollowThePageLayout)
{
    CPrintSlot slot;
    // A portrait page of 4800 x 6600 with a banner 96 high.
    ASSERT_TRUE(GetPrintSlot(4800, 6600, 0, 96, slot));
    EXPECT_EQ(CRect(478, 96, 478 + 3824, 192), slot.rcBanner);
    EXPECT_EQ(CRect(478, 192, 478 + 3824, 192 + 3824), slot.rcBoard);

    ASSERT_TRUE(GetPrintSlot(4800, 6600, 2, 96, slot));
    EXPECT_EQ(CRect(328, 96 + 3280, 328 + 2624, 96 + 3280 + 96), slot.rcBanner);
    EXPECT_EQ(96 + 3280 + 96, slot.rcBoard.top);

    // Quarters: the right-hand board starts at A, M right of the left one's end.
    CPrintSlot left, right, bottomRight;
    ASSERT_TRUE(GetPrintSlot(4800, 6600, 3, 96, left));
    ASSERT_TRUE(GetPrintSlot(4800, 6600, 4, 96, right));
    ASSERT_TRUE(GetPrintSlot(4800, 6600, 6, 96, bottomRight));
    const int a = 2400 - 20, m = a / 10;
    EXPECT_EQ(a, right.rcBoard.left);
    EXPECT_EQ(left.rcBoard.right + m, right.rcBoard.left);
    EXPECT_EQ(96 + a, bottomRight.rcBanner.top);

    // No slot for a bad position or a page too small for a board.
    EXPECT_FALSE(GetPrintSlot(4800, 6600, 7, 96, slot));
    EXPECT_FALSE(GetPrintSlot(4800, 6600, -1, 96, slot));
    EXPECT_FALSE(GetPrintSlot(20, 20, 0, 96, slot));
}

TEST(PuzzlePrinting, APuzzleIsDrawnUnderTheBannerOnAnyDC)
{
    Profiles profiles;
    CHTDataContainer puzzle;
    ASSERT_TRUE(GenerateBookPuzzle(1, 0, NULL, &puzzle));
    // A page as large as the DC says it is (a memory DC answers the
    // screen's size), the whole page for one puzzle.
    HDC hScreen = ::GetDC(NULL);
    const int cx = ::GetDeviceCaps(hScreen, HORZRES), cy = ::GetDeviceCaps(hScreen, VERTRES);
    ::ReleaseDC(NULL, hScreen);
    testsupport::Canvas page(cx, cy, RGB(255, 255, 255), 24);
    PrintPuzzleAt(page.DC(), &puzzle, pppWholePage, 2);
    testsupport::SaveSnapshot(page, "printed_page");

    CPrintSlot slot;
    ASSERT_TRUE(GetPrintSlot(cx, cy, 0, 96, slot));
    // The banner's title is dark on white; the board's outline is in the
    // profile's border colour; the page stays white below the board.
    bool bDark = false;
    for (int x = slot.rcBanner.left; x < slot.rcBanner.right && !bDark; x++)
        bDark = page.Pixel(x, slot.rcBanner.top + 40) == RGB(0, 0, 0);
    EXPECT_TRUE(bDark);
    EXPECT_EQ(puzzle.m_crBorder, page.Pixel(slot.rcBoard.left + 2, slot.rcBoard.top + 50));
    EXPECT_EQ(RGB(255, 255, 255), page.Pixel(slot.rcBoard.left + 50, slot.rcBoard.bottom + 2));

    // A grid without columns or rows prints only the banner.
    CHTDataContainer empty;
    testsupport::Canvas blank(cx, cy, RGB(255, 255, 255), 24);
    PrintPuzzleAt(blank.DC(), &empty, pppWholePage, 2);
    EXPECT_EQ(RGB(255, 255, 255), blank.Pixel(slot.rcBoard.left + 10, slot.rcBoard.top + 10));
}

TEST(PuzzlePrinting, BooksFillTheirPagesInOrder)
{
    Profiles profiles;
    testsupport::Canvas page(400, 500, RGB(255, 255, 255), 24);

    struct Book
    {
        int nCount, nPerPage, nSolutions, nPages;
    };
    const Book books[] = {
        {5, 4, pbsAfterAll, 3},    // puzzles 1-4 | 5 + solutions 1-3 | solutions 4, 5
        {3, 2, pbsAfterEach, 3},   // each puzzle with its solution on a page
        {1, 1, pbsNone, 1},
        {3, 4, pbsNone, 1},        // a page left open is ended at the end
    };
    for (const Book& book : books)
    {
        SCOPED_TRACE(book.nCount * 100 + book.nPerPage * 10 + book.nSolutions);
        PageLog pages;
        BYTE bPageOpen = FALSE;
        ASSERT_TRUE(PrintPuzzleBookPages(page.DC(), book.nCount, bPageOpen, book.nPerPage, 0, 0,
                                         book.nSolutions, NULL, &pages));
        EXPECT_EQ(book.nPages, pages.m_nStarted);
        EXPECT_EQ(book.nPages, pages.m_nEnded);
        EXPECT_FALSE(bPageOpen);
    }
}

TEST(PuzzlePrinting, ACancelledBookPrintsNothing)
{
    Profiles profiles;
    testsupport::Canvas page(400, 500, RGB(255, 255, 255), 24);
    PageLog pages;
    BYTE bPageOpen = FALSE;
    CancelAfter cancel(30);
    EXPECT_FALSE(PrintPuzzleBookPages(page.DC(), 10, bPageOpen, 1, 0, 3, pbsNone, &cancel, &pages));
    EXPECT_EQ(0, pages.m_nStarted);

    // The book generator stops on the flag too.
    CHTDataContainer puzzle;
    CancelAfter cancelled(0);
    EXPECT_FALSE(GenerateBookPuzzle(0, 0, &cancelled, &puzzle));
}

namespace
{
// A slow printer: every page takes a while. It notes the stripe phase of
// the progress bar at each page and can press Cancel in the progress window
// after a given page.
class SlowPrinter : public CPrintPageSink
{
public:
    SlowPrinter(CCreateProgress& progress, int nCancelAfterPage) : m_progress(progress), m_nCancelAfter(nCancelAfterPage) {}
    virtual void StartPage(CDC*) {}
    virtual void EndPage(CDC*)
    {
        ::Sleep(80);
        m_phases.push_back(m_progress.m_wndProgress.m_nIndOffset);
        if (++m_nPages == 2)
            EXPECT_FALSE(testsupport::SaveWindowSnapshot(m_progress.m_hWnd, "book_progress_while_printing").empty());
        if (m_nPages == m_nCancelAfter)
            m_progress.PostMessage(WM_COMMAND, IDCANCEL, 0);
    }
    CCreateProgress& m_progress;
    int m_nCancelAfter;
    int m_nPages = 0;
    std::vector<int> m_phases;
};
} // namespace

// The printing of a book can take seconds a page: the progress window stays
// live meanwhile, its stripes moving, and Cancel stops the job.
TEST(PuzzlePrinting, TheProgressBarMovesWhileABookPrintsAndCancelStopsIt)
{
    Profiles profiles;
    testsupport::Canvas page(400, 500, RGB(255, 255, 255), 24);
    {
        CCreateProgress progress;
        ASSERT_TRUE(progress.Open());
        SlowPrinter printer(progress, -1);
        BYTE bPageOpen = FALSE;
        ASSERT_TRUE(PrintPuzzleBookPages(page.DC(), 3, bPageOpen, 1, 0, 0, pbsAfterEach, &progress, &printer));
        ASSERT_EQ(6, printer.m_nPages);
        EXPECT_NE(printer.m_phases.front(), printer.m_phases.back()) << "the stripes stood still while printing";
        progress.Close();
    }
    {
        CCreateProgress progress;
        ASSERT_TRUE(progress.Open());
        SlowPrinter printer(progress, 2);
        BYTE bPageOpen = FALSE;
        EXPECT_FALSE(PrintPuzzleBookPages(page.DC(), 3, bPageOpen, 1, 0, 0, pbsAfterEach, &progress, &printer));
        EXPECT_EQ(2, printer.m_nPages) << "the job went on after Cancel";
        progress.Close();
    }
}

// A book whose profile the generator cannot make a puzzle of gives up after
// its cap of runs, tells the player so and prints nothing; a cancelled one
// says nothing.
TEST(PuzzlePrinting, ABookThatCannotBeMadeTellsThePlayer)
{
    Profiles profiles;
    testsupport::ScriptGameQuestions();
    Script().Reset();
    CGradeInfo none = CGradeInfo::MakeEasyProfile();
    none.m_strProfileName = "None";
    none.m_nColumns = 0;
    none.m_nRows = 7;
    const int nNone = g_ApplicationInfo.m_GradeInfoList.AddProfile(none);

    testsupport::Canvas page(400, 500, RGB(255, 255, 255), 24);
    PageLog pages;
    BYTE bPageOpen = FALSE;
    EXPECT_FALSE(PrintPuzzleBookPages(page.DC(), 2, bPageOpen, 1, 0, nNone, pbsNone, NULL, &pages));
    EXPECT_EQ(0, pages.m_nStarted);
    ASSERT_EQ(1u, Script().asked.size());
    EXPECT_NE(std::string::npos, Script().asked[0].find("No 0 x 7 puzzle could be made")) << Script().asked[0];

    Script().Reset();
    CancelAfter cancelled(0);
    EXPECT_FALSE(PrintPuzzleBookPages(page.DC(), 2, bPageOpen, 1, 0, 0, pbsNone, &cancelled, &pages));
    EXPECT_TRUE(Script().asked.empty());
    g_ApplicationInfo.LoadFromRegistry();
}

TEST(PuzzlePrinting, BookPuzzlesTakeTheirProfilesOrTheDefaults)
{
    Profiles profiles;
    CHTDataContainer puzzle;
    ASSERT_TRUE(GenerateBookPuzzle(1, 2, NULL, &puzzle));
    EXPECT_EQ(15, puzzle.m_nColumns);
    EXPECT_EQ(CString("Printing"), puzzle.m_AppearanceInfo.m_strProfileName);
    EXPECT_EQ(CString("Difficult"), puzzle.m_GradeInfo.m_strProfileName);
    // No profile chosen: the default 9 x 9 profile.
    ASSERT_TRUE(GenerateBookPuzzle(-1, -1, NULL, &puzzle));
    EXPECT_EQ(9, puzzle.m_nColumns);
}

TEST(PrintPuzzleBookDlg, TheCountMustBeOneToTen)
{
    EXPECT_EQ(7, CPrintPuzzleBookDlg::ParseCount(" 7"));
    EXPECT_EQ(7, CPrintPuzzleBookDlg::ParseCount("7 puzzles"));
    EXPECT_EQ(0, CPrintPuzzleBookDlg::ParseCount("x"));

    // The dialog itself: a count out of range keeps it open with a message;
    // a good count goes on to the printer (refused here) and closes it.
    testsupport::ScriptGameQuestions();
    Profiles profiles;
    const char* const counts[] = {"0", "11", "x", " 7"};
    std::vector<std::string> combos;
    testsupport::ModalDriver driver([&](HWND hDlg) {
        char szText[64];
        for (int nID : {IDC_BOOK_PER_PAGE, IDC_BOOK_SOLUTIONS, IDC_BOOK_DIFFICULTY})
        {
            ::SendDlgItemMessageA(hDlg, nID, CB_GETLBTEXT, 0, (LPARAM)szText);
            combos.push_back(szText);
        }
        for (const char* pszCount : counts)
        {
            ::SetDlgItemTextA(hDlg, IDC_BOOK_COUNT, pszCount);
            ::SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)::GetDlgItem(hDlg, IDOK));
        }
    });
    CPrintPuzzleBookDlg dlg;
    Script().asked.clear();
    EXPECT_EQ(IDOK, dlg.DoModal());
    std::vector<std::string> expected(3, "Please enter a number between 1 and 10.");
    EXPECT_EQ(expected, Script().asked);
    EXPECT_EQ((std::vector<std::string>{"1 Puzzle", "None", "Easy"}), combos);
}

namespace
{
CWnd* g_pPrinterOwner = NULL;
int g_nPrinterAsked = 0;

INT_PTR AFXAPI RecordPrinterOwner(CPrintDialog& dlg)
{
    g_pPrinterOwner = dlg.m_pParentWnd;
    g_nPrinterAsked++;
    return IDCANCEL;
}
} // namespace

// The printer is asked for over the game's window, though a floating window
// of the game was active last.
TEST(PuzzlePrinting, ThePrintDialogIsOwnedByTheGamesWindowNotAFloatingOne)
{
    testsupport::GameApp game;
    ASSERT_TRUE(game.Started());
    CWnd floating;
    ASSERT_TRUE(floating.CreateEx(WS_EX_TOOLWINDOW, AfxRegisterWndClass(0), "Floating",
                                  WS_POPUP | WS_CAPTION | WS_VISIBLE, CRect(900, 600, 1100, 800), game.Frame(), 0));
    ::SetActiveWindow(floating.m_hWnd);
    PFN_ASKPRINTER pfnOld = SetPrinterQuestion(&RecordPrinterOwner);
    g_nPrinterAsked = 0;
    PrintCurrentPuzzle(&game.Puzzle());
    SetPrinterQuestion(pfnOld);
    EXPECT_EQ(1, g_nPrinterAsked);
    EXPECT_EQ(game.Frame(), g_pPrinterOwner);
    floating.DestroyWindow();
}
