// Customize sheet figures on a frame like the game's: opening the sheet (as
// the game builds it) to its first painted page, switching pages, one step
// of a command dragged over the Standard toolbar, and the clicks of the
// Keyboard page with the largest shortcut table that is accepted.
#include "bench_ui.h"

#include <afxwin.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "XTPCommandBars.h"
#include "XTPCommandBarsOptions.h"
#include "XTPControl.h"
#include "XTPControls.h"
#include "XTPCustomizeCommandsPage.h"
#include "XTPCustomizeDragTracker.h"
#include "XTPCustomizeKeyboardPage.h"
#include "XTPCustomizeOptionsPage.h"
#include "XTPCustomizeSheet.h"
#include "XTPFrameWnd.h"
#include "XTPPaintManager.h"
#include "XTPShortcutManager.h"
#include "XTPToolBar.h"
#include "resource.h"

namespace
{
const int kRuns = 30;

void EnsureApplication()
{
    if (AfxGetApp() != NULL)
        return;
    static CWinApp* s_pApp = new CWinApp(_T("BenchCustomize"));
    AfxWinInit(::GetModuleHandle(NULL), NULL, (LPTSTR) "", SW_SHOWNORMAL);
    (void)s_pApp;
}

// The game's bars; the frame handles Customize, so the bars are customizable.
class CBenchFrame : public CXTPFrameWnd
{
public:
    BOOL Build()
    {
        if (!Create(NULL, _T("Bench"), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
                    CRect(40, 40, 700, 500)))
            return FALSE;
        ShowWindow(SW_SHOWNORMAL);
        if (!InitCommandBars())
            return FALSE;
        CXTPCommandBars* pCommandBars = GetCommandBars();
        pCommandBars->GetCommandBarsOptions()->animationType = 5;
        if (pCommandBars->CreateMenuBar(_T("Menu Bar"), IDR_MAINFRAME) == NULL)
            return FALSE;
        m_pStandard = pCommandBars->Add(_T("Standard"), xtpBarTop);
        if (m_pStandard == NULL || !m_pStandard->LoadToolBar(IDR_MAINFRAME))
            return FALSE;
        RecalcLayout();
        UpdateWindow();
        return TRUE;
    }
    afx_msg void OnCustomize() {}
    CXTPToolBar* m_pStandard = NULL;
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CBenchFrame, CXTPFrameWnd)
    ON_COMMAND(ID_VIEW_CUSTOMIZE, OnCustomize)
END_MESSAGE_MAP()

// The sheet as the game's Customize command builds it.
struct GameSheet
{
    explicit GameSheet(CXTPCommandBars* pCommandBars)
        : sheet(pCommandBars), pageKeyboard(&sheet), pageOptions(&sheet)
    {
        sheet.AddPage(&pageKeyboard);
        pageKeyboard.AddCategories(IDR_MAINFRAME, FALSE);
        sheet.AddPage(&pageOptions);
        CXTPCustomizeCommandsPage* pCommands = sheet.GetCommandsPage();
        pCommands->AddCategories(IDR_MAINFRAME, FALSE);
        pCommands->InsertAllCommandsCategory(XTP_IDS_ALL_COMMANDS, -1);
        pCommands->InsertBuiltInMenus(IDR_MAINFRAME, XTP_IDS_BUILTINMENUS, -1);
        pCommands->InsertNewMenuCategory(XTP_IDS_NEWMENU, -1);
    }
    CXTPCustomizeSheet sheet;
    CXTPCustomizeKeyboardPage pageKeyboard;
    CXTPCustomizeOptionsPage pageOptions;
};

void PaintNow(CWnd* pWnd)
{
    pWnd->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
    ::GdiFlush();
}

// What the page left to paint, painted now.
void PaintPending(CWnd* pWnd)
{
    pWnd->RedrawWindow(NULL, NULL, RDW_UPDATENOW | RDW_ALLCHILDREN);
    ::GdiFlush();
}

// A click on a list or button of the page, as its notification.
void Click(CXTPCustomizeKeyboardPage& page, int nID, WORD nCode)
{
    page.SendMessage(WM_COMMAND, MAKEWPARAM(nID, nCode), (LPARAM)page.GetDlgItem(nID)->GetSafeHwnd());
}

// The clicks of the Keyboard page with a table of nCount shortcuts: a
// quarter of them for the commands the page lists (spread over those
// commands in turn), the rest for commands it does not list; or with
// bOneCommand all of them for the first command listed. Prints the median click on a command
// and the slowest click of every kind.
void MeasureKeyboardPage(GameSheet* pGame, CXTPCommandBars* pCommandBars, int nCount, bool bOneCommand)
{
    CXTPCustomizeKeyboardPage& page = pGame->pageKeyboard;
    CXTPShortcutManager* pManager = pCommandBars->GetShortcutManager();
    pGame->sheet.SetActivePage(&page);
    PaintNow(&pGame->sheet);

    std::vector<WORD> ids;
    for (int i = 0; i < page.m_lboxCommands.GetCount(); i++)
        ids.push_back((WORD)((CXTPControl*)page.m_lboxCommands.GetItemDataPtr(i))->GetID());
    if (ids.empty())
    {
        printf("  the Keyboard page lists no command\n");
        return;
    }
    std::vector<ACCEL> table((size_t)nCount);
    for (int i = 0; i < nCount; i++)
    {
        table[i].fVirt = (BYTE)(FVIRTKEY | ((i % 4) << 2));   // none, Shift, Ctrl, Ctrl+Shift
        table[i].key = (WORD)(0x41 + (i / 4) % 26);
        if (bOneCommand)
            table[i].cmd = ids[0];
        else
            table[i].cmd = i % 4 == 0 ? ids[(size_t)(i / 4) % ids.size()] : (WORD)(40000 + i % 20000);
    }
    pManager->SetAccelerators(table.data(), nCount);

    std::vector<double> commandClicks, slowest(5, 0.0);
    auto Time = [&](int nKind, const std::function<void()>& fn) {
        const double t0 = bench_ui::Now();
        fn();
        PaintPending(&pGame->sheet);
        const double dMs = (bench_ui::Now() - t0) * 1000.0;
        slowest[(size_t)nKind] = std::max(slowest[(size_t)nKind], dMs);
        return dMs;
    };
    for (int nRound = 0; nRound < 3; nRound++)
    {
        for (int i = 0; i < page.m_lboxCommands.GetCount(); i++)
        {
            page.m_lboxCommands.SetCurSel(i);
            commandClicks.push_back(Time(0, [&]() { Click(page, 102, LBN_SELCHANGE); }));
            if (page.m_lboxKeys.GetCount() > 0)
            {
                page.m_lboxKeys.SetCurSel(0);
                Time(1, [&]() { Click(page, 104, LBN_SELCHANGE); });
            }
        }
        // A chord no command holds, assigned to the first command and
        // removed again (the last entry takes its place).
        page.m_lboxCommands.SetCurSel(0);
        Click(page, 102, LBN_SELCHANGE);
        page.m_editShortcutKey.m_accel.fVirt = FVIRTKEY | FALT | FCONTROL | FSHIFT;
        page.m_editShortcutKey.m_accel.key = VK_F11;
        page.m_editShortcutKey.m_bKeyDefined = TRUE;
        page.m_editShortcutKey.SetWindowText(_T("Ctrl+Shift+Alt+F11"));
        Time(2, [&]() { Click(page, 107, BN_CLICKED); });
        page.m_lboxKeys.SetCurSel(page.m_lboxKeys.GetCount() - 1);
        Time(3, [&]() { Click(page, 108, BN_CLICKED); });
        page.m_comboCategory.SetCurSel((nRound + 1) % page.m_comboCategory.GetCount());
        Time(4, [&]() { Click(page, 100, CBN_SELCHANGE); });
    }
    char szWhat[160];
    sprintf(szWhat, "Keyboard page, %d shortcuts%s: click on a command", nCount,
            bOneCommand ? " all on one command" : "");
    bench_ui::Report(szWhat, bench_ui::Median(commandClicks), "ms", 100.0);
    const char* const kKinds[] = {"a command", "a key", "Assign", "Remove", "a category"};
    for (int i = 0; i < 5; i++)
    {
        sprintf(szWhat, "  slowest click on %s", kKinds[i]);
        bench_ui::Report(szWhat, slowest[(size_t)i], "ms", 100.0);
    }
    pManager->SetAccelerators(NULL, 0);
}
} // namespace

BM_UI_BENCH(customize)
{
    EnsureApplication();
    CXTPPaintManager::SetTheme(xtpThemeOffice2003);
    XTPPaintManager()->EnableShadow(FALSE);
    XTPPaintManager()->m_bEnableAnimation = FALSE;

    CBenchFrame* pFrame = new CBenchFrame();
    if (!pFrame->Build())
    {
        printf("  the frame could not be built\n");
        return;
    }
    bench_ui::Pump();
    CXTPCommandBars* pCommandBars = pFrame->GetCommandBars();

    // Opening: the sheet and its pages built as the game does, customize
    // mode on, the window made, shown and its first page painted. The modal
    // loop around it adds nothing but waiting.
    std::vector<double> open, parts[5];
    for (int i = 0; i <= kRuns; i++)
    {
        const double t0 = bench_ui::Now();
        GameSheet* pGame = new GameSheet(pCommandBars);
        const double tA = bench_ui::Now();
        pCommandBars->SetCustomizeMode(TRUE);
        const double tB = bench_ui::Now();
        if (!pGame->sheet.Create(pFrame))
        {
            printf("  the sheet could not be created\n");
            delete pGame;
            return;
        }
        const double tC = bench_ui::Now();
        pGame->sheet.ShowWindow(SW_SHOW);
        const double tD = bench_ui::Now();
        pGame->sheet.RedrawWindow(NULL, NULL, RDW_UPDATENOW | RDW_ALLCHILDREN);
        ::GdiFlush();
        const double t1 = bench_ui::Now();
        if (i > 0)
        {
            parts[3].push_back((tD - tC) * 1000.0);
            parts[4].push_back((t1 - tD) * 1000.0);
            parts[0].push_back((tA - t0) * 1000.0);
            parts[1].push_back((tB - tA) * 1000.0);
            parts[2].push_back((tC - tB) * 1000.0);
        }
        pGame->sheet.DestroyWindow();
        pCommandBars->SetCustomizeMode(FALSE);
        delete pGame;
        bench_ui::Pump();
        if (i > 0)
            open.push_back((t1 - t0) * 1000.0);
    }
    bench_ui::Report("open the Customize sheet to its first painted page", bench_ui::Median(open), "ms", 150.0);
    bench_ui::Report("  of which building the sheet and its categories", bench_ui::Median(parts[0]), "ms", 0);
    bench_ui::Report("  of which customize mode for the bars", bench_ui::Median(parts[1]), "ms", 0);
    bench_ui::Report("  of which creating the window and its first page", bench_ui::Median(parts[2]), "ms", 0);
    bench_ui::Report("  of which showing the window", bench_ui::Median(parts[3]), "ms", 0);
    bench_ui::Report("  of which the first paint", bench_ui::Median(parts[4]), "ms", 0);

    // Switching pages: each of the four pages in turn, painted.
    GameSheet* pGame = new GameSheet(pCommandBars);
    pCommandBars->SetCustomizeMode(TRUE);
    pGame->sheet.Create(pFrame);
    pGame->sheet.ShowWindow(SW_SHOW);
    PaintNow(&pGame->sheet);
    int nPage = 0;
    double dSwitch = bench_ui::MedianMs(kRuns * 4, [&]() {
        nPage = (nPage + 1) % pGame->sheet.GetPageCount();
        pGame->sheet.SetActivePage(nPage);
        // What the switch left to paint, painted now.
        pGame->sheet.RedrawWindow(NULL, NULL, RDW_UPDATENOW | RDW_ALLCHILDREN);
        ::GdiFlush();
    });
    bench_ui::Report("switch the sheet's page (painted)", dSwitch, "ms", 30.0);

    // One drag step: a mouse move over the Standard toolbar handled by the
    // drag tracker (target, insert marker, cursor) and the bar repainted.
    // A run of moves that ends with Escape, so nothing is dropped.
    XTP_COMMANDBARS_CATEGORYINFO* pFile = pGame->sheet.GetCommandsPage()->FindCategory(_T("File"));
    CXTPControl* pOpen = pFile != NULL ? pFile->pControls->FindControl(ID_FILE_OPEN) : NULL;
    CXTPToolBar* pStandard = pFrame->m_pStandard;
    if (pOpen != NULL && pStandard->GetControlCount() > 2)
    {
        const int kSteps = 40;
        std::vector<double> steps;
        HWND hCapture = pGame->sheet.GetSafeHwnd();
        for (int r = 0; r < 10; r++)
        {
            for (int i = 0; i < kSteps; i++)
            {
                CXTPControl* pOver = pStandard->GetControl(i % 3);
                CPoint pt = pOver->GetRect().CenterPoint() + CPoint(i % 2 ? 3 : -3, 0);
                pStandard->ClientToScreen(&pt);
                ::ScreenToClient(hCapture, &pt);
                ::PostMessage(hCapture, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
            }
            ::PostMessage(hCapture, WM_KEYDOWN, VK_ESCAPE, 0);
            const double t0 = bench_ui::Now();
            pCommandBars->GetDragTracker()->Track(pOpen, TRUE);
            pStandard->UpdateWindow();
            ::GdiFlush();
            steps.push_back((bench_ui::Now() - t0) * 1000.0 / kSteps);
        }
        bench_ui::Report("one drag step of a command over a toolbar", bench_ui::Median(steps), "ms", 16.0);
    }

    // The Keyboard page's clicks, with the largest table the stored forms
    // accept and with an eighth of it.
    MeasureKeyboardPage(pGame, pCommandBars, CXTPShortcutManager::nMaxStoredAccels / 8, false);
    MeasureKeyboardPage(pGame, pCommandBars, CXTPShortcutManager::nMaxStoredAccels, false);
    MeasureKeyboardPage(pGame, pCommandBars, CXTPShortcutManager::nMaxStoredAccels, true);

    pGame->sheet.DestroyWindow();
    pCommandBars->SetCustomizeMode(FALSE);
    delete pGame;
    pFrame->DestroyWindow();
    bench_ui::Pump();
}
