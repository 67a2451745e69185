// The board view and its click strategies.
#include "BrindlemarkView.h"

#include "BrindlemarkDoc.h"
#include "GameQuestions.h"
#include "GameServices.h"
#include "HTSquarePainter.h"
#include "MainFrame.h"
#include "PictureExport.h"
#include "PuzzlePrinting.h"
#include "RookMessageDlgs.h"
#include "resource.h"

namespace
{
const char kBeginPlayingQuestion[] =
    "To begin playing, select File|New|Puzzle from the main menu.\n\nWould you like to do this now?";

// The items of the board's context menu (0: a separator).
struct ContextMenuItem
{
    const char* pszText;
    UINT nID;
};
const ContextMenuItem kContextMenu[] = {
    {"&New Puzzle", ID_NEW_PUZZLE},
    {NULL, 0},
    {"Undo", ID_UNDO_MOVE},
    {NULL, 0},
    {"Branch", ID_BRANCH_BEGIN},
    {"Accept", ID_BRANCH_ACCEPT},
    {"Revert", ID_BRANCH_REVERT},
    {NULL, 0},
    {"Update Unshaded Squares", ID_UPDATE_UNSHADED},
    {"AutoMark Unshaded Squares", ID_AUTOMARK_UNSHADED},
    {NULL, 0},
    {"Revert to start...", ID_REVERT_TO_START},
    {"Show Solution...", ID_SHOW_SOLUTION},
};

// The square of the current puzzle under a client point of the view.
CHTSquareData* SquareAt(CBrindlemarkView* pView, CBrindlemarkDoc* pDoc, int x, int y)
{
    CPoint hit = pView->HitTest(CPoint(x, y));
    return pDoc->GetCurrent().FindSquare(hit.x, hit.y);
}
} // namespace

// ---------------------------------------------------------------------------
// Layout

CBoardLayout AFXAPI CalcBoardLayout(int cx, int cy, int nColumns, int nRows)
{
    CBoardLayout layout = {0, 0, 0};
    const int mx = cx / 5, my = cy / 5;
    const int w = cx - mx, h = cy - my;
    if (nColumns > 0 && nRows > 0)
    {
        const int sx = w / nColumns, sy = h / nRows;
        layout.nSquareSize = sx < sy ? sx : sy;
        if (layout.nSquareSize < 0)
            layout.nSquareSize = 0;
    }
    layout.nLeft = (w - layout.nSquareSize * nColumns) / 2 + mx / 2;
    layout.nTop = (h - layout.nSquareSize * nRows) / 2 + my / 2;
    return layout;
}

CPoint AFXAPI HitTestBoard(int w, int h, int nColumns, int nRows, int nSquareSize, CPoint point)
{
    if (nSquareSize <= 0)
        return CPoint(-1, -1);
    const int nLeftMargin = (w - nSquareSize * nColumns) / 2;
    if (point.x < nLeftMargin)
        return CPoint(-1, 0);
    const int nTopMargin = (h - nSquareSize * nRows) / 2;
    if (point.y < nTopMargin)
        return CPoint(0, -1);
    const int c = (point.x - nLeftMargin) / nSquareSize;
    const int r = (point.y - nTopMargin) / nSquareSize;
    if (c >= nColumns)
        return CPoint(-1, 0);
    if (r >= nRows)
        return CPoint(0, -1);
    return CPoint(c, r);
}

// ---------------------------------------------------------------------------
// Click strategies

void CLButtonDownHandler_Play::Handle(CBrindlemarkView* pView, UINT, int x, int y)
{
    CBrindlemarkDoc* pDoc = GetGameDoc();
    if (pDoc == NULL || SquareAt(pView, pDoc, x, y) == NULL)
        return;
    pDoc->m_Controller.SaveState();

    CHTSquareData* pSquare = SquareAt(pView, pDoc, x, y);
    if (pSquare->m_nPlayerState == htsUndecided || pSquare->m_nPlayerState == htsUnshaded)
        pSquare->m_nPlayerState = htsShaded;
    else if (pSquare->m_nPlayerState == htsShaded)
        pSquare->m_nPlayerState = htsUndecided;
    pDoc->FinishPlayMove();
}

void CLButtonDownHandler_Copy::Handle(CBrindlemarkView* pView, UINT, int x, int y)
{
    CBrindlemarkDoc* pDoc = GetGameDoc();
    if (pDoc == NULL)
        return;
    const CPoint hit = pView->HitTest(CPoint(x, y));
    pDoc->StepEnteredNumber(hit.x, hit.y, TRUE);
}

void CRButtonDownHandler_Play::Handle(CBrindlemarkView* pView, UINT, int x, int y)
{
    CBrindlemarkDoc* pDoc = GetGameDoc();
    if (pDoc == NULL || SquareAt(pView, pDoc, x, y) == NULL)
        return;
    pDoc->m_Controller.SaveState();

    CHTSquareData* pSquare = SquareAt(pView, pDoc, x, y);
    if (pSquare->m_nPlayerState == htsUndecided || pSquare->m_nPlayerState == htsShaded)
        pSquare->m_nPlayerState = htsUnshaded;
    else if (pSquare->m_nPlayerState == htsUnshaded)
        pSquare->m_nPlayerState = htsUndecided;
    // Unshading a shaded square changes the rule marks as much as a left
    // click does: the same checks follow.
    pDoc->FinishPlayMove();
}

void CRButtonDownHandler_Copy::Handle(CBrindlemarkView* pView, UINT, int x, int y)
{
    CBrindlemarkDoc* pDoc = GetGameDoc();
    if (pDoc == NULL)
        return;
    const CPoint hit = pView->HitTest(CPoint(x, y));
    pDoc->StepEnteredNumber(hit.x, hit.y, FALSE);
}

// ---------------------------------------------------------------------------
// CBrindlemarkView

IMPLEMENT_DYNCREATE(CBrindlemarkView, CView)

BEGIN_MESSAGE_MAP(CBrindlemarkView, CView)
    ON_COMMAND(ID_FILE_PRINT, OnFilePrint)
    ON_COMMAND(ID_FILE_PRINT_DIRECT, CView::OnFilePrint)
    ON_COMMAND(ID_FILE_PRINT_PREVIEW, CView::OnFilePrintPreview)
    ON_WM_SIZE()
    ON_WM_LBUTTONDOWN()
    ON_WM_RBUTTONDOWN()
    // The view's window class takes double clicks, so the second of two
    // quick clicks arrives as a double click: it is a click like the first.
    ON_WM_LBUTTONDBLCLK()
    ON_WM_RBUTTONDBLCLK()
    ON_WM_ERASEBKGND()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
END_MESSAGE_MAP()

CBrindlemarkView::CBrindlemarkView() : m_nSquareSize(0), m_nBoardLeft(0), m_nBoardTop(0)
{
}

CBrindlemarkView::~CBrindlemarkView()
{
}

void CBrindlemarkView::OnDraw(CDC* pDC)
{
    CBrindlemarkDoc* pDoc = GetGameDoc();
    if (pDoc == NULL)
        return;
    CRect rect;
    GetClientRect(&rect);
    DrawBoard(&pDoc->GetCurrent(), pDC, rect, m_nSquareSize, htrmScreen, m_nBoardLeft, m_nBoardTop,
              pDoc->m_bPaused);
}

BOOL CBrindlemarkView::OnPreparePrinting(CPrintInfo* pInfo)
{
    if (pInfo != NULL)
        pInfo->SetMaxPage(1);
    return DoPreparePrinting(pInfo);
}

void CBrindlemarkView::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    (void)pInfo;
    CBrindlemarkDoc* pDoc = GetGameDoc();
    if (pDoc != NULL)
        PrintPuzzleAt(pDC, &pDoc->GetCurrent(), pppWholePage, htrmPrint);
}

LRESULT CBrindlemarkView::OnPrintClient(WPARAM wParam, LPARAM)
{
    OnDraw(CDC::FromHandle((HDC)wParam));
    return 0;
}

BOOL CBrindlemarkView::OnEraseBkgnd(CDC*)
{
    // The board's painting covers the whole client area.
    return TRUE;
}

void CBrindlemarkView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    if (AfxGetMainWnd() == NULL)
        return;
    CBrindlemarkDoc* pDoc = GetGameDoc();
    if (pDoc == NULL)
        return;
    const CHTDataContainer& current = pDoc->GetCurrent();
    CBoardLayout layout = CalcBoardLayout(cx, cy, current.m_nColumns, current.m_nRows);
    m_nSquareSize = layout.nSquareSize;
    m_nBoardLeft = layout.nLeft;
    m_nBoardTop = layout.nTop;

    CMainFrame* pFrame = GetMainFrame();
    if (pFrame != NULL && !pFrame->m_bInSizeMove)
        pFrame->FitNumberFont();
}

void CBrindlemarkView::RelayoutBoard()
{
    if (GetSafeHwnd() == NULL)
        return;
    CRect rect;
    GetClientRect(&rect);
    OnSize(SIZE_RESTORED, rect.Width(), rect.Height());
}

CPoint CBrindlemarkView::HitTest(CPoint point)
{
    CBrindlemarkDoc* pDoc = GetGameDoc();
    if (pDoc == NULL)
        return CPoint(-1, -1);
    CRect rect;
    GetClientRect(&rect);
    const CHTDataContainer& current = pDoc->GetCurrent();
    return HitTestBoard(rect.Width(), rect.Height(), current.m_nColumns, current.m_nRows, m_nSquareSize, point);
}

namespace
{
// The click handler of the game state: play, or own-puzzle entry. Before
// any puzzle exists the player is offered a new one and no handler is made.
template <class TBase, class TPlay, class TCopy>
TBase* MakeClickHandler(CBrindlemarkDoc* pDoc)
{
    const int nState = pDoc->GetCurrent().m_nGameState;
    if (nState == htgsPlaying)
        return new TPlay;
    if (nState == htgsCopyMode)
        return new TCopy;
    if (ShowYesNoMessage(kBeginPlayingQuestion, "Yes", "No") == 1)
    {
        CMainFrame* pFrame = GetMainFrame();
        if (pFrame != NULL)
            pFrame->OnNewPuzzle();
    }
    return NULL;
}

bool IsOnBoard(CBrindlemarkView* pView, CBrindlemarkDoc* pDoc, CPoint point)
{
    const CPoint hit = pView->HitTest(point);
    const CHTDataContainer& current = pDoc->GetCurrent();
    return hit.x >= 0 && hit.x < current.m_nColumns && hit.y >= 0 && hit.y < current.m_nRows;
}
} // namespace

void CBrindlemarkView::OnLButtonDown(UINT nFlags, CPoint point)
{
    CBrindlemarkDoc* pDoc = GetGameDoc();
    CLButtonDownHandler_Base* pHandler =
        pDoc != NULL ? MakeClickHandler<CLButtonDownHandler_Base, CLButtonDownHandler_Play, CLButtonDownHandler_Copy>(pDoc)
                     : NULL;
    if (pHandler != NULL)
    {
        if (IsOnBoard(this, pDoc, point))
            pHandler->Handle(this, nFlags & MK_CONTROL, point.x, point.y);
        delete pHandler;
    }
    CView::OnLButtonDown(nFlags, point);
}

void CBrindlemarkView::OnRButtonDown(UINT nFlags, CPoint point)
{
    CBrindlemarkDoc* pDoc = GetGameDoc();
    CRButtonDownHandler_Base* pHandler =
        pDoc != NULL ? MakeClickHandler<CRButtonDownHandler_Base, CRButtonDownHandler_Play, CRButtonDownHandler_Copy>(pDoc)
                     : NULL;
    if (pHandler != NULL)
    {
        if (IsOnBoard(this, pDoc, point))
            pHandler->Handle(this, nFlags & MK_CONTROL, point.x, point.y);
        else
            ShowBoardContextMenu();
        delete pHandler;
    }
    CView::OnRButtonDown(nFlags, point);
}

void CBrindlemarkView::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    OnLButtonDown(nFlags, point);
}

void CBrindlemarkView::OnRButtonDblClk(UINT nFlags, CPoint point)
{
    OnRButtonDown(nFlags, point);
}

void CBrindlemarkView::ShowBoardContextMenu()
{
    CPoint point;
    ::GetCursorPos(&point);
    CMenu menu;
    if (!menu.CreatePopupMenu())
        return;
    for (const ContextMenuItem& item : kContextMenu)
    {
        if (item.pszText == NULL)
            menu.AppendMenu(MF_SEPARATOR);
        else
            menu.AppendMenu(MF_STRING, item.nID, item.pszText);
    }
    CMainFrame* pFrame = GetMainFrame();
    if (pFrame != NULL)
        pFrame->TrackBoardMenu(&menu, point);
    menu.DestroyMenu();
}

void CBrindlemarkView::OnFilePrint()
{
    CBrindlemarkDoc* pDoc = GetGameDoc();
    if (pDoc != NULL)
        PrintCurrentPuzzle(&pDoc->GetCurrent());
}

// ---------------------------------------------------------------------------
// Pictures of the board

HBITMAP CBrindlemarkView::MakeBoardPicture(int nRenderMode)
{
    CBrindlemarkDoc* pDoc = GetGameDoc();
    if (pDoc == NULL || GetSafeHwnd() == NULL)
        return NULL;
    CHTDataContainer& current = pDoc->GetCurrent();
    CRect rect;
    GetClientRect(&rect);
    const int n = current.m_nColumns > current.m_nRows ? current.m_nColumns : current.m_nRows;
    if (n <= 0)
        return NULL;
    const int nSquare = (rect.Width() < rect.Height() ? rect.Width() : rect.Height()) / n;
    const int nSide = nSquare * n;
    if (nSide <= 0)
        return NULL;

    CClientDC dcWindow(this);
    CDC dcMemory;
    CBitmap bitmap;
    if (!dcMemory.CreateCompatibleDC(&dcWindow) || !bitmap.CreateCompatibleBitmap(&dcWindow, nSide, nSide))
        return NULL;
    CBitmap* pOld = dcMemory.SelectObject(&bitmap);
    DrawBoard(&current, &dcMemory, CRect(0, 0, nSide, nSide), nSquare, nRenderMode, 0, 0, FALSE);
    // The bitmap leaves the DC before its bits are read or it is handed on.
    dcMemory.SelectObject(pOld);
    return (HBITMAP)bitmap.Detach();
}

bool CBrindlemarkView::SavePictureAs(BYTE* pKind)
{
    const bool bJpeg = pKind != NULL && *pKind == gpkJpeg;
    CString strPath;
    if (!AskFileToSave(strPath, bJpeg ? "jpg" : "bmp", LoadResourceString(bJpeg ? IDS_JPEG_FILTER : IDS_BMP_FILTER),
                       this))
        return false;
    return WritePictureFile(strPath, pKind);
}

bool CBrindlemarkView::WritePictureFile(LPCTSTR lpszPath, BYTE* pKind)
{
    CBitmap bitmap;
    bitmap.Attach(MakeBoardPicture(htrmPictureFile));
    BOOL bWritten = FALSE;
    CString strReason;
    if (bitmap.GetSafeHandle() == NULL)
        strReason = "There is no board to save.";
    else if (pKind != NULL && *pKind == gpkJpeg)
    {
        CImageMaker_JPEG maker;
        bWritten = maker.MakeImage(&bitmap, lpszPath);
        strReason = maker.GetError();
    }
    else
    {
        CImageMaker_Bitmap maker;
        bWritten = maker.MakeImage(&bitmap, lpszPath);
        strReason = maker.GetError();
    }
    if (!bWritten)
    {
        CString strText;
        AfxFormatString2(strText, IDS_PICTURE_NOT_SAVED, lpszPath, strReason);
        ShowInfoMessage(strText);
    }
    return bWritten != FALSE;
}

bool CBrindlemarkView::CopyPictureToClipboard()
{
    HBITMAP hBitmap = MakeBoardPicture(htrmClipboard);
    if (hBitmap == NULL)
        return false;
    BOOL bGiven = FALSE;
    if (::OpenClipboard(m_hWnd))
    {
        ::EmptyClipboard();
        // Once handed over, the bitmap belongs to the clipboard.
        bGiven = ::SetClipboardData(CF_BITMAP, hBitmap) != NULL;
        ::CloseClipboard();
    }
    if (!bGiven)
    {
        TRACE("board picture: the clipboard did not take the bitmap");
        ::DeleteObject(hBitmap);
    }
    return bGiven != FALSE;
}
