// Board painting.
#include "HTSquarePainter.h"

#include "ApplicationInfo.h"
#include "resource.h"

namespace
{
const char kBoardFace[] = "Tahoma";
}

/////////////////////////////////////////////////////////////////////////////
// CDCStack

CDCStack::CDCStack(CDC* pDC)
    : m_pDC(pDC), m_nOldBkMode(0), m_clrOldText(0), m_clrOldBk(0), m_nOldTextAlign(0), m_hOldPen(NULL),
      m_hOldBrush(NULL), m_hOldFont(NULL)
{
    if (m_pDC == NULL || m_pDC->GetSafeHdc() == NULL)
    {
        m_pDC = NULL;
        return;
    }
    m_pen.CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
    m_brush.CreateSolidBrush(RGB(255, 255, 255));
    m_font.CreatePointFont(100, kBoardFace, m_pDC);

    HDC hDC = m_pDC->GetSafeHdc();
    m_nOldBkMode = ::SetBkMode(hDC, TRANSPARENT);
    m_clrOldText = ::SetTextColor(hDC, RGB(0, 0, 0));
    m_clrOldBk = ::SetBkColor(hDC, RGB(255, 255, 255));
    m_nOldTextAlign = ::SetTextAlign(hDC, TA_LEFT | TA_TOP);
    m_hOldPen = m_pen.GetSafeHandle() != NULL ? ::SelectObject(hDC, m_pen.GetSafeHandle()) : NULL;
    m_hOldBrush = m_brush.GetSafeHandle() != NULL ? ::SelectObject(hDC, m_brush.GetSafeHandle()) : NULL;
    m_hOldFont = m_font.GetSafeHandle() != NULL ? ::SelectObject(hDC, m_font.GetSafeHandle()) : NULL;
}

CDCStack::~CDCStack()
{
    if (m_pDC != NULL)
    {
        HDC hDC = m_pDC->GetSafeHdc();
        ::SetBkMode(hDC, m_nOldBkMode);
        ::SetTextColor(hDC, m_clrOldText);
        ::SetBkColor(hDC, m_clrOldBk);
        ::SetTextAlign(hDC, m_nOldTextAlign);
        if (m_hOldPen != NULL)
            ::SelectObject(hDC, m_hOldPen);
        if (m_hOldBrush != NULL)
            ::SelectObject(hDC, m_hOldBrush);
        if (m_hOldFont != NULL)
            ::SelectObject(hDC, m_hOldFont);
    }
    m_brush.DeleteObject();
    m_font.DeleteObject();
    m_pen.DeleteObject();
}

/////////////////////////////////////////////////////////////////////////////
// Font fitting

int AFXAPI FitPointFont(CDC* pDC, LPCTSTR lpszFace, int nHeight, int nPercent, int nFallback)
{
    const double dLimit = nPercent / 100.0 * nHeight;
    CDC dcMeasure;
    if (!dcMeasure.CreateCompatibleDC(pDC))
        return nFallback;
    int nResult = nFallback;
    for (int nSize = 2000; nSize >= 10; nSize -= 10)
    {
        CFont font;
        if (!font.CreatePointFont(nSize, lpszFace, &dcMeasure))
            continue;
        CFont* pOldFont = dcMeasure.SelectObject(&font);
        TEXTMETRIC tm;
        const BOOL bMeasured = dcMeasure.GetTextMetrics(&tm);
        dcMeasure.SelectObject(pOldFont);
        if (bMeasured && tm.tmHeight < dLimit)
        {
            nResult = nSize;
            break;
        }
    }
    dcMeasure.DeleteDC();
    return nResult;
}

/////////////////////////////////////////////////////////////////////////////
// CHTSquarePainter_Base

CHTSquarePainter_Base::CHTSquarePainter_Base()
    : m_pContainer(NULL), m_bPrint(FALSE), m_pDC(NULL), m_bPreview(FALSE), m_nNumberSize(30), m_nSmallSize(10),
      m_bShowIsland(FALSE), m_bShowDuplicates(FALSE), m_bShowAdjacent(FALSE)
{
    ::SetRectEmpty(&m_rcSquare);
    memset(&m_lfNumber, 0, sizeof(m_lfNumber));
    memset(&m_lfSmall, 0, sizeof(m_lfSmall));
}

CHTSquarePainter_Base::~CHTSquarePainter_Base()
{
    m_fontNumber.DeleteObject();
    m_fontSmall.DeleteObject();
}

int CHTSquarePainter_Base::FitPointFont(LPCTSTR lpszFace, int nHeight, int nPercent, int nFallback)
{
    return ::FitPointFont(m_pDC, lpszFace, nHeight, nPercent, nFallback);
}

/////////////////////////////////////////////////////////////////////////////
// CHTSquarePainter_Default

CHTSquarePainter_Default::CHTSquarePainter_Default(const CHTDataContainer* pContainer, BOOL bPrint, CDC* pDC,
                                                   const RECT& rcSquare, BOOL bPreview)
{
    m_pContainer = pContainer;
    m_bPrint = (BYTE)(bPrint ? 1 : 0);
    m_pDC = pDC;
    m_rcSquare = rcSquare;
    m_bPreview = (BYTE)(bPreview ? 1 : 0);
    if (pContainer != NULL)
    {
        m_nNumberSize = pContainer->m_AppearanceInfo.m_nMainFontSize;
        m_nSmallSize = pContainer->m_AppearanceInfo.m_nSmallFontSize;
        m_bShowIsland = pContainer->m_GradeInfo.m_bShowIslandSquares;
        m_bShowDuplicates = pContainer->m_GradeInfo.m_bShowUnshadedDups;
        m_bShowAdjacent = pContainer->m_GradeInfo.m_bShowAdjacentShaded;
    }

    int nNumberTenths;
    int nSmallTenths;
    if (m_bPrint)
    {
        nNumberTenths = FitPointFont(kBoardFace, SquareHeight(), 100, 250);
        nSmallTenths = FitPointFont(kBoardFace, SquareHeight(), 35, 90);
    }
    else
    {
        nNumberTenths = m_bPreview ? 100 : m_nNumberSize * 10;
        nSmallTenths = m_nSmallSize * 10;
    }
    if (!m_fontNumber.CreatePointFont(nNumberTenths, kBoardFace, m_pDC))
        TRACE("CHTSquarePainter_Default: no number font of %d tenths\n", nNumberTenths);
    if (!m_fontSmall.CreatePointFont(nSmallTenths, kBoardFace, m_pDC))
        TRACE("CHTSquarePainter_Default: no small font of %d tenths\n", nSmallTenths);
    if (m_fontNumber.GetSafeHandle() != NULL)
        m_fontNumber.GetLogFont(&m_lfNumber);
    if (m_fontSmall.GetSafeHandle() != NULL)
        m_fontSmall.GetLogFont(&m_lfSmall);
}

COLORREF CHTSquarePainter_Default::GetFillColour(const CHTSquareData& square) const
{
    if (m_bShowIsland && square.m_bIslandMark)
        return square.m_crIslandFill;
    if (m_bShowDuplicates && square.m_bDuplicateMark)
        return square.m_crUnshadedDupFill;
    if (m_bShowAdjacent && square.m_bAdjacencyMark)
        return square.m_crAdjacentShadedFill;
    if (square.m_nPlayerState == htsShaded)
        return square.m_crShadedFill;
    return square.m_crUnshadedFill;
}

COLORREF CHTSquarePainter_Default::GetNumberColour(const CHTSquareData& square) const
{
    if (m_bShowIsland && square.m_bIslandMark)
        return square.m_crIslandNumber;
    if (m_bShowDuplicates && square.m_bDuplicateMark)
        return square.m_crUnshadedDupNumber;
    if (m_bShowAdjacent && square.m_bAdjacencyMark)
        return square.m_crAdjacentShadedNumber;
    if (square.m_nPlayerState == htsShaded)
        return square.m_crShadedNumber;
    return square.m_crUnshadedNumber;
}

void CHTSquarePainter_Default::DrawSquare(const CHTSquareData& square)
{
    if (m_pDC == NULL || m_pDC->GetSafeHdc() == NULL)
        return;
    switch (square.m_nPlayerState)
    {
    case htsUndecided:
        DrawUndecided(square);
        break;
    case htsUnshaded:
        DrawUnshaded(square);
        break;
    case htsShaded:
        DrawShaded(square);
        break;
    default:
        break;
    }
}

void CHTSquarePainter_Default::FillSquare(const CHTSquareData& square)
{
    const COLORREF clrFill = GetFillColour(square);
    CPen pen(PS_SOLID, 1, clrFill);
    CBrush brush(clrFill);
    CPen* pOldPen = m_pDC->SelectObject(&pen);
    CBrush* pOldBrush = m_pDC->SelectObject(&brush);
    m_pDC->Rectangle(&m_rcSquare);
    m_pDC->SelectObject(pOldBrush);
    m_pDC->SelectObject(pOldPen);
}

void CHTSquarePainter_Default::DrawSquareEdges(const CHTSquareData& square)
{
    // Only the left and top edges: the board's border closes the right and
    // bottom of the grid.
    CPen pen(PS_SOLID, 1, square.m_crSquareBorder);
    CPen* pOldPen = m_pDC->SelectObject(&pen);
    m_pDC->MoveTo(0, SquareHeight());
    m_pDC->LineTo(0, 0);
    m_pDC->LineTo(SquareWidth(), 0);
    m_pDC->SelectObject(pOldPen);
}

void CHTSquarePainter_Default::DrawNumber(const CHTSquareData& square)
{
    if (square.m_nNumber == HT_NO_NUMBER)
        return;
    CFont* pOldFont = m_pDC->SelectObject(&m_fontNumber);
    m_pDC->SetTextAlign(TA_CENTER | TA_TOP);
    m_pDC->SetTextColor(GetNumberColour(square));
    m_pDC->SetBkMode(TRANSPARENT);
    TEXTMETRIC tm;
    if (!m_pDC->GetTextMetrics(&tm))
        tm.tmHeight = 0;
    CString strNumber;
    strNumber.Format("%d", square.m_nNumber);
    m_pDC->TextOut(SquareWidth() / 2, (SquareHeight() - tm.tmHeight) / 2, strNumber);
    m_pDC->SelectObject(pOldFont);
}

void CHTSquarePainter_Default::DrawDebugInfo(const CHTSquareData& square)
{
    if (m_bPreview || !g_ApplicationInfo.m_bDisplayDebugInfo)
        return;
    static const char szStates[] = "IUS";
    CFont* pOldFont = m_pDC->SelectObject(&m_fontSmall);
    CString strLetter;
    if (square.m_nPlayerState >= 0 && square.m_nPlayerState <= 2)
    {
        strLetter.Format("%c", szStates[square.m_nPlayerState]);
        m_pDC->TextOut(10, 5, strLetter);
    }
    if (square.m_nSolutionState >= 0 && square.m_nSolutionState <= 2)
    {
        strLetter.Format("%c", szStates[square.m_nSolutionState]);
        m_pDC->TextOut(SquareWidth() - 10, 5, strLetter);
    }
    m_pDC->SelectObject(pOldFont);
}

void CHTSquarePainter_Default::DrawUndecided(const CHTSquareData& square)
{
    const int nSaved = m_pDC->SaveDC();
    {
        CDCStack stack(m_pDC);
        FillSquare(square);
        DrawSquareEdges(square);
        DrawNumber(square);
        DrawDebugInfo(square);
    }
    m_pDC->RestoreDC(nSaved);
}

void CHTSquarePainter_Default::DrawUnshaded(const CHTSquareData& square)
{
    const int nSaved = m_pDC->SaveDC();
    {
        CDCStack stack(m_pDC);
        FillSquare(square);

        // The cross, under the number.
        CRect rcCross(m_rcSquare);
        rcCross.DeflateRect(m_rcSquare.right / 4, m_rcSquare.bottom / 4);
        CPen pen(PS_SOLID, 10, square.m_crSquareBorder);
        CPen* pOldPen = m_pDC->SelectObject(&pen);
        m_pDC->MoveTo(rcCross.left, rcCross.top);
        m_pDC->LineTo(rcCross.right, rcCross.bottom);
        m_pDC->MoveTo(rcCross.right, rcCross.top);
        m_pDC->LineTo(rcCross.left, rcCross.bottom);
        m_pDC->SelectObject(pOldPen);

        DrawSquareEdges(square);
        DrawNumber(square);
        DrawDebugInfo(square);
    }
    m_pDC->RestoreDC(nSaved);
}

void CHTSquarePainter_Default::DrawShaded(const CHTSquareData& square)
{
    const int nSaved = m_pDC->SaveDC();
    {
        CDCStack stack(m_pDC);
        FillSquare(square);
        DrawSquareEdges(square);
        DrawNumber(square);
        DrawDebugInfo(square);

        if (!square.m_bAdjacencyMark && !square.m_bIslandMark)
        {
            const int nWidth = SquareWidth();
            const int nHeight = SquareHeight();
            const int nInset = (int)(0.1 * (nWidth > nHeight ? nWidth : nHeight));
            CBrush brush(HS_DIAGCROSS, GetNumberColour(square));
            CBrush* pOldBrush = m_pDC->SelectObject(&brush);
            m_pDC->Rectangle(nInset, nInset, nWidth - nInset, nHeight - nInset);
            m_pDC->SelectObject(pOldBrush);
        }
    }
    m_pDC->RestoreDC(nSaved);
}

CHTSquarePainter_Base* AFXAPI CreateSquarePainter(const CHTDataContainer* pContainer, BOOL bPrint, CDC* pDC,
                                                  const RECT& rcSquare, BOOL bPreview)
{
    return new CHTSquarePainter_Default(pContainer, bPrint, pDC, rcSquare, bPreview);
}

/////////////////////////////////////////////////////////////////////////////
// DrawBoard

void AFXAPI DrawBoard(const CHTDataContainer* pContainer, CDC* pDC, const CRect& rcTarget, int nSquareSize,
                      int nRenderMode, int nLeft, int nTop, BOOL bPaused)
{
    if (pContainer == NULL || pDC == NULL || pDC->GetSafeHdc() == NULL)
        return;
    // Nothing to lay out: no squares, and no picture of a board either.
    if (pContainer->m_nColumns < 1 || pContainer->m_nRows < 1 || nSquareSize < 1)
        return;
    const int nWidth = rcTarget.Width();
    const int nHeight = rcTarget.Height();
    if (nWidth < 1 || nHeight < 1)
        return;

    CDCStack stack(pDC);

    CDC dcBoard;
    CBitmap bmpBoard;
    if (!dcBoard.CreateCompatibleDC(pDC) || !bmpBoard.CreateCompatibleBitmap(pDC, nWidth, nHeight))
    {
        TRACE("DrawBoard: no off-screen picture of %d x %d\n", nWidth, nHeight);
        return;
    }
    CBitmap* pOldBoardBitmap = dcBoard.SelectObject(&bmpBoard);

    // The grey background with its outline (grey on paper, black elsewhere).
    {
        CPen pen(PS_SOLID, 1, nRenderMode == htrmPrint ? HT_BOARD_BACK_COLOUR : RGB(0, 0, 0));
        CBrush brush(HT_BOARD_BACK_COLOUR);
        CPen* pOldPen = dcBoard.SelectObject(&pen);
        CBrush* pOldBrush = dcBoard.SelectObject(&brush);
        dcBoard.Rectangle(&rcTarget);
        dcBoard.SelectObject(pOldBrush);
        dcBoard.SelectObject(pOldPen);
    }

    if (!bPaused)
    {
        CDC dcSquare;
        CBitmap bmpSquare;
        if (dcSquare.CreateCompatibleDC(pDC) && bmpSquare.CreateCompatibleBitmap(pDC, nSquareSize, nSquareSize))
        {
            CBitmap* pOldSquareBitmap = dcSquare.SelectObject(&bmpSquare);
            const RECT rcSquare = {0, 0, nSquareSize, nSquareSize};
            CHTSquarePainter_Base* pPainter =
                CreateSquarePainter(pContainer, nRenderMode == htrmPrint, &dcSquare, rcSquare, nRenderMode == htrmPreview);
            CHTSquareData square;
            for (int i = 0; i < pContainer->m_nColumns; i++)
            {
                const int x = nLeft + i * nSquareSize;
                for (int j = 0; j < pContainer->m_nRows; j++)
                {
                    if (!pContainer->GetSquare(i, j, square))
                        continue;
                    pPainter->DrawSquare(square);
                    dcBoard.BitBlt(x, nTop + j * nSquareSize, nSquareSize, nSquareSize, &dcSquare, 0, 0, SRCCOPY);
                }
            }
            delete pPainter;
            dcSquare.SelectObject(pOldSquareBitmap);
        }
        else
        {
            TRACE("DrawBoard: no square picture of %d pixels\n", nSquareSize);
        }
    }
    else
    {
        // The pause picture over the squares of columns and rows 3 to 5.
        HBITMAP hPause = ::LoadBitmap(AfxGetResourceHandle(), MAKEINTRESOURCE(IDB_PAUSE_PICTURE));
        if (hPause != NULL)
        {
            BITMAP bm;
            ::GetObject(hPause, sizeof(bm), &bm);
            CDC dcPause;
            if (dcPause.CreateCompatibleDC(pDC))
            {
                HGDIOBJ hOld = ::SelectObject(dcPause.GetSafeHdc(), hPause);
                dcBoard.SetStretchBltMode(COLORONCOLOR);
                dcBoard.StretchBlt(nLeft + 3 * nSquareSize, nTop + 3 * nSquareSize, 3 * nSquareSize,
                                   3 * nSquareSize, &dcPause, 0, 0, bm.bmWidth, bm.bmHeight, SRCCOPY);
                ::SelectObject(dcPause.GetSafeHdc(), hOld);
            }
            ::DeleteObject(hPause);
        }
        else
        {
            TRACE("DrawBoard: the pause picture is missing\n");
        }
    }

    pContainer->DrawBorder(&dcBoard, nLeft, nTop, nSquareSize, FALSE);

    pDC->BitBlt(0, 0, nWidth, nHeight, &dcBoard, 0, 0, SRCCOPY);
    dcBoard.SelectObject(pOldBoardBitmap);
}
