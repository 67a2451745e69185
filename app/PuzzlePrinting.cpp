// Printing puzzles on a page and puzzle books.
#include "PuzzlePrinting.h"

#include "FennDialog.h"

#include "ApplicationInfo.h"
#include "GameAccessors.h"
#include "CreateProgress.h"
#include "GameQuestions.h"
#include "GameServices.h"
#include "HTDataController.h"
#include "HTGenerator.h"
#include "HTSquarePainter.h"
#include "resource.h"

namespace
{
// Attempts of the generator for one book puzzle before the book gives up;
// a run fails only rarely, so this is never reached in play.
const int kMaxGeneratorRuns = 10000;

const char kPrintJobName[] = "MyDoc";

// Starts the print job on the DC; FALSE when the printer refuses it.
BOOL StartPrintJob(CDC& dc)
{
    DOCINFO info;
    ZeroMemory(&info, sizeof(info));
    info.cbSize = sizeof(info);
    info.lpszDocName = kPrintJobName;
    return dc.StartDoc(&info) > 0;
}

// The DC of the printer chosen in the dialog; NULL when there is none.
HDC TakePrinterDC(CPrintDialog& dlg)
{
    // The DC the dialog made, else one of the printer it names.
    HDC hDC = dlg.m_pd.hDC;
    dlg.m_pd.hDC = NULL;
    if (hDC == NULL)
        hDC = dlg.GetPrinterDC();
    return hDC;
}

void TellPrintFailed()
{
    ShowInfoMessage(LoadResourceString(AFX_IDP_FAILED_TO_START_PRINT));
}
} // namespace

// ---------------------------------------------------------------------------

BOOL AFXAPI GetPrintSlot(int nPageWidth, int nPageHeight, int nPosition, int nBannerHeight, CPrintSlot& slot)
{
    if (nPosition < pppWholePage || nPosition > pppBottomRight)
        return FALSE;
    int w = nPageWidth, h = nPageHeight;
    if (nPosition >= pppTopLeft)
    {
        w /= 2;
        h /= 2;
    }
    else if (nPosition >= pppTopHalf)
        h /= 2;

    const int s = w < h ? w : h;
    const int a = s - 20;               // the slot's side
    const int m = a / 10;               // left margin
    const int b = a - 2 * m;            // the board's side
    if (b <= 0)
        return FALSE;

    int x = m, y = nBannerHeight;
    switch (nPosition)
    {
    case pppBottomHalf:
    case pppBottomLeft:
        y += a;
        break;
    case pppTopRight:
        x = a;
        break;
    case pppBottomRight:
        x = a;
        y += a;
        break;
    default:
        break;
    }
    slot.rcBanner.SetRect(x, y, x + b, y + nBannerHeight);
    slot.rcBoard.SetRect(x, y + nBannerHeight, x + b, y + nBannerHeight + b);
    return TRUE;
}

void AFXAPI PrintPuzzleAt(CDC* pDC, CHTDataContainer* pContainer, int nPosition, int nRenderMode)
{
    if (pDC == NULL || pContainer == NULL)
        return;
    HDC hAttrib = pDC->m_hAttribDC != NULL ? pDC->m_hAttribDC : pDC->m_hDC;
    const int nPageWidth = ::GetDeviceCaps(hAttrib, HORZRES);
    const int nPageHeight = ::GetDeviceCaps(hAttrib, VERTRES);

    CBitmap bmpBanner;
    BITMAP bmBanner;
    ZeroMemory(&bmBanner, sizeof(bmBanner));
    if (!bmpBanner.LoadBitmap(IDB_PRINT_BANNER) || bmpBanner.GetBitmap(&bmBanner) == 0)
        TRACE("printing: banner bitmap %d missing", IDB_PRINT_BANNER);

    CPrintSlot slot;
    if (!GetPrintSlot(nPageWidth, nPageHeight, nPosition, bmBanner.bmHeight, slot))
        return;

    CDC dcMemory;
    if (!dcMemory.CreateCompatibleDC(pDC))
        return;
    if (bmpBanner.GetSafeHandle() != NULL)
    {
        CBitmap* pOld = dcMemory.SelectObject(&bmpBanner);
        pDC->StretchBlt(slot.rcBanner.left, slot.rcBanner.top, slot.rcBanner.Width(), slot.rcBanner.Height(),
                        &dcMemory, 0, 0, bmBanner.bmWidth, bmBanner.bmHeight, SRCCOPY);
        dcMemory.SelectObject(pOld);
    }

    const int nLargest = pContainer->m_nColumns > pContainer->m_nRows ? pContainer->m_nColumns : pContainer->m_nRows;
    const int nSide = slot.rcBoard.Width();
    if (nLargest <= 0)
        return;
    // A colour section rather than a bitmap compatible with the printer,
    // which may be monochrome.
    BITMAPINFO bmi;
    ZeroMemory(&bmi, sizeof(bmi));
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = nSide;
    bmi.bmiHeader.biHeight = nSide;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 24;
    void* pBits = NULL;
    HBITMAP hBoard = ::CreateDIBSection(dcMemory.m_hDC, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
    if (hBoard == NULL)
    {
        TRACE("printing: no %d x %d picture for the board", nSide, nSide);
        return;
    }
    HGDIOBJ hOld = dcMemory.SelectObject(hBoard);
    DrawBoard(pContainer, &dcMemory, CRect(0, 0, nSide, nSide), nSide / nLargest, nRenderMode, 0, 0, FALSE);
    pDC->BitBlt(slot.rcBoard.left, slot.rcBoard.top, nSide, nSide, &dcMemory, 0, 0, SRCCOPY);
    dcMemory.SelectObject(hOld);
    ::DeleteObject(hBoard);
}

// ---------------------------------------------------------------------------
// Puzzle books

void CPrintPageSink::StartPage(CDC* pDC)
{
    pDC->StartPage();
}

void CPrintPageSink::EndPage(CDC* pDC)
{
    pDC->EndPage();
}

void AFXAPI PrintBookPuzzle(BYTE& bPageOpen, int& nPosition, CDC* pDC, CHTDataContainer* pContainer,
                            CPrintPageSink* pPages)
{
    CPrintPageSink printer;
    if (pPages == NULL)
        pPages = &printer;
    if (!bPageOpen)
    {
        pPages->StartPage(pDC);
        bPageOpen = TRUE;
    }

    // A solution that keeps the three rules prints as a normal page.
    BOOL bKeepsRules = !pContainer->MarkDuplicates(TRUE) && !pContainer->HasAdjacentShaded(TRUE) &&
                       AreUnshadedSquaresConnected(*pContainer, TRUE);
    PrintPuzzleAt(pDC, pContainer, nPosition, bKeepsRules ? htrmPrint : htrmBookDisconnected);

    switch (nPosition)
    {
    case pppWholePage:
        pPages->EndPage(pDC);
        bPageOpen = FALSE;
        break;
    case pppTopHalf:
        nPosition = pppBottomHalf;
        break;
    case pppBottomHalf:
        pPages->EndPage(pDC);
        bPageOpen = FALSE;
        nPosition = pppTopHalf;
        break;
    case pppTopLeft:
    case pppTopRight:
    case pppBottomLeft:
        nPosition++;
        break;
    case pppBottomRight:
        pPages->EndPage(pDC);
        bPageOpen = FALSE;
        nPosition = pppTopLeft;
        break;
    default:
        break;
    }
}

BOOL AFXAPI GenerateBookPuzzle(int nAppearanceIndex, int nGradeIndex, CHTGeneratorProgress* pProgress,
                               CHTDataContainer* pContainer)
{
    CGradeInfo grade;
    g_ApplicationInfo.m_GradeInfoList.FindProfile(nGradeIndex, grade);
    CAppearanceInfo appearance;
    g_ApplicationInfo.m_AppearanceInfoList.FindProfile(nAppearanceIndex, appearance);

    CHTGenerator generator;
    BOOL bMade = FALSE;
    for (int nRun = 0; nRun < kMaxGeneratorRuns && !bMade; nRun++)
    {
        bMade = generator.Generate(pProgress, grade.m_nColumns, grade.m_nRows, pContainer);
        // Once the player has cancelled, the generator refuses every run.
        if (!bMade && pProgress != NULL && pProgress->IsCancelled())
            return FALSE;
    }
    if (!bMade)
    {
        // The player is told: the book is not printed, and not for a
        // cancel of theirs.
        TRACE("puzzle book: no %d x %d puzzle after %d runs", grade.m_nColumns, grade.m_nRows, kMaxGeneratorRuns);
        CString strColumns, strRows, strText;
        strColumns.Format("%d", grade.m_nColumns);
        strRows.Format("%d", grade.m_nRows);
        AfxFormatString2(strText, IDS_BOOK_NOT_MADE, strColumns, strRows);
        ShowInfoMessage(strText);
        return FALSE;
    }
    pContainer->ApplySquareColours(appearance);
    pContainer->m_AppearanceInfo.CopyFrom(appearance);
    pContainer->SetGradeInfo(grade);
    return TRUE;
}

BOOL AFXAPI PrintPuzzleBookPages(CDC* pDC, int nCount, BYTE& bPageOpen, int nPerPage, int nAppearanceIndex,
                                 int nGradeIndex, int nSolutions, CHTGeneratorProgress* pProgress,
                                 CPrintPageSink* pPages)
{
    int nPosition = pppWholePage;
    if (nPerPage == 2)
        nPosition = pppTopHalf;
    else if (nPerPage == 4)
        nPosition = pppTopLeft;

    // Every puzzle is made before the first is printed, so a cancelled book
    // prints nothing.
    CHTDataContainerList book(10);
    CHTDataContainer work;
    for (int i = 0; i < nCount; i++)
    {
        if (!GenerateBookPuzzle(nAppearanceIndex, nGradeIndex, pProgress, &work))
            return FALSE;
        book.AddTail(work);
    }

    // A printer driver can take seconds a page: the progress window stays
    // live between the puzzles printed, with its bar moving and its Cancel
    // button working. A cancel ends the job; the caller aborts it.
    auto printed = [pProgress]() -> BOOL {
        if (pProgress == NULL)
            return TRUE;
        pProgress->StepProgress();
        pProgress->PumpMessages();
        return pProgress->IsCancelled() ? FALSE : TRUE;
    };
    for (POSITION pos = book.GetHeadPosition(); pos != NULL;)
    {
        work.CopyFrom(book.GetNext(pos));
        PrintBookPuzzle(bPageOpen, nPosition, pDC, &work, pPages);
        if (!printed())
            return FALSE;
        if (nSolutions == pbsAfterEach)
        {
            work.ShowSolution();
            PrintBookPuzzle(bPageOpen, nPosition, pDC, &work, pPages);
            if (!printed())
                return FALSE;
        }
    }
    if (nSolutions == pbsAfterAll)
    {
        for (POSITION pos = book.GetHeadPosition(); pos != NULL;)
        {
            work.CopyFrom(book.GetNext(pos));
            work.ShowSolution();
            PrintBookPuzzle(bPageOpen, nPosition, pDC, &work, pPages);
            if (!printed())
                return FALSE;
        }
    }
    if (bPageOpen)
    {
        CPrintPageSink printer;
        (pPages != NULL ? pPages : &printer)->EndPage(pDC);
        bPageOpen = FALSE;
    }
    return TRUE;
}

bool AFXAPI PrintPuzzleBook(int nCount, BYTE* pPageOpen, int nPerPage, int nAppearanceIndex, int nGradeIndex,
                            int nSolutions)
{
    // Owned by the game's window or the dialog that asked, never by a
    // floating window clicked last.
    CPrintDialog dlg(FALSE, PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS | PD_HIDEPRINTTOFILE | PD_NOSELECTION,
                     GetGameDialogOwner());
    if (AskForPrinter(dlg) != IDOK)
        return false;
    HDC hPrinter = TakePrinterDC(dlg);
    if (hPrinter == NULL)
    {
        TellPrintFailed();
        return true;
    }
    CDC dc;
    dc.Attach(hPrinter);
    BYTE bPageOpen = FALSE;
    if (pPageOpen == NULL)
        pPageOpen = &bPageOpen;
    if (!StartPrintJob(dc))
    {
        TellPrintFailed();
        ::DeleteDC(dc.Detach());
        return true;
    }
    dc.StartPage();
    *pPageOpen = TRUE;

    CWnd* pMainWnd = AfxGetMainWnd();
    if (pMainWnd != NULL)
        pMainWnd->EnableWindow(FALSE);
    CCreateProgress progress;
    BOOL bPrinted = progress.Open() && PrintPuzzleBookPages(&dc, nCount, *pPageOpen, nPerPage, nAppearanceIndex,
                                                            nGradeIndex, nSolutions, &progress);
    progress.Close();
    if (bPrinted)
        dc.EndDoc();
    else
    {
        // Cancelled: the job goes, with its open page.
        dc.AbortDoc();
        *pPageOpen = FALSE;
    }
    ::DeleteDC(dc.Detach());
    return true;
}

void AFXAPI PrintCurrentPuzzle(CHTDataContainer* pContainer)
{
    CPrintDialog dlg(FALSE, PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS | PD_HIDEPRINTTOFILE | PD_NOSELECTION,
                     GetGameDialogOwner());
    if (pContainer == NULL || AskForPrinter(dlg) != IDOK)
        return;
    HDC hPrinter = TakePrinterDC(dlg);
    if (hPrinter == NULL)
    {
        TellPrintFailed();
        return;
    }
    CDC dc;
    dc.Attach(hPrinter);
    if (StartPrintJob(dc))
    {
        dc.StartPage();
        PrintPuzzleAt(&dc, pContainer, pppWholePage, htrmPrint);
        dc.EndPage();
        dc.EndDoc();
    }
    else
        TellPrintFailed();
    ::DeleteDC(dc.Detach());
}
