// The puzzle position: squares, profiles, and the operations on the grid.
#include "HTDataContainer.h"

#include "ApplicationInfo.h"
#include "HTSolver.h"

#include <afxwin.h>

#include <vector>

CHTDataContainer::CHTDataContainer()
    : m_bModified(0),
      m_nGameState(htgsNone),
      m_crBorder(RGB(255, 0, 0)),
      m_nColumns(0),
      m_nRows(0),
      m_nElapsedSeconds(0),
      m_bUnshadedUpdate(0)
{
}

CHTDataContainer::CHTDataContainer(const CHTDataContainer& src) : CHTDataContainer()
{
    CopyFrom(src);
}

CHTDataContainer& CHTDataContainer::operator=(const CHTDataContainer& src)
{
    CopyFrom(src);
    return *this;
}

CHTDataContainer::~CHTDataContainer()
{
}

void CHTDataContainer::CopyFrom(const CHTDataContainer& src)
{
    if (&src == this)
        return;
    m_listSquares = src.m_listSquares;
    m_bModified = src.m_bModified;
    m_nGameState = src.m_nGameState;
    m_crBorder = src.m_crBorder;
    m_nColumns = src.m_nColumns;
    m_nRows = src.m_nRows;
    m_bUnshadedUpdate = src.m_bUnshadedUpdate;
    m_AppearanceInfo.CopyFrom(src.m_AppearanceInfo);
    m_GradeInfo.CopyFrom(src.m_GradeInfo);
    m_nElapsedSeconds = src.m_nElapsedSeconds;
}

void CHTDataContainer::SetGridSize(int nColumns, int nRows)
{
    m_listSquares.RemoveAll();
    m_nColumns = nColumns;
    m_nRows = nRows;
    if (nColumns <= 0 || nRows <= 0)
        return;
    m_listSquares.ReserveGrid(nColumns, nRows);
    for (int nColumn = 0; nColumn < nColumns; nColumn++)
    {
        for (int nRow = 0; nRow < nRows; nRow++)
            AddSquare(nColumn, nRow);
    }
}

BOOL CHTDataContainer::AddSquare(int nColumn, int nRow)
{
    if (m_listSquares.FindIndex(nColumn, nRow) >= 0)
        return FALSE;
    CHTSquareData square;
    square.m_nColumn = nColumn;
    square.m_nRow = nRow;
    square.m_nPlayerState = htsUndecided;
    square.m_nSolutionState = htsUndecided;
    square.m_nNumber = HT_NO_NUMBER;
    return m_listSquares.Add(square);
}

BOOL CHTDataContainer::GetSquare(int nColumn, int nRow, CHTSquareData& square) const
{
    const CHTSquareData* pSquare = m_listSquares.Find(nColumn, nRow);
    if (pSquare == NULL)
        return FALSE;
    square = *pSquare;
    return TRUE;
}

CHTSquareData* CHTDataContainer::FindSquare(int nColumn, int nRow)
{
    return m_listSquares.Find(nColumn, nRow);
}

const CHTSquareData* CHTDataContainer::FindSquare(int nColumn, int nRow) const
{
    return m_listSquares.Find(nColumn, nRow);
}

BOOL CHTDataContainer::ApplySquareColours(const CAppearanceInfo& appearance)
{
    for (INT_PTR i = 0; i < m_listSquares.GetCount(); i++)
    {
        CHTSquareData& square = m_listSquares.GetAt(i);
        square.m_crSquareBorder = appearance.m_crSquareBorder;
        square.m_crShadedFill = appearance.m_crShadedFill;
        square.m_crShadedNumber = appearance.m_crShadedNumber;
        square.m_crUnshadedFill = appearance.m_crUnshadedFill;
        square.m_crUnshadedNumber = appearance.m_crUnshadedNumber;
        square.m_crIslandFill = appearance.m_crIslandFill;
        square.m_crIslandNumber = appearance.m_crIslandNumber;
        square.m_crUnshadedDupFill = appearance.m_crUnshadedDupFill;
        square.m_crUnshadedDupNumber = appearance.m_crUnshadedDupNumber;
        square.m_crAdjacentShadedFill = appearance.m_crAdjacentShadedFill;
        square.m_crAdjacentShadedNumber = appearance.m_crAdjacentShadedNumber;
    }
    m_crBorder = appearance.m_crBorder;
    return TRUE;
}

CAppearanceInfo CHTDataContainer::GetAppearanceInfo() const
{
    return m_AppearanceInfo;
}

CGradeInfo CHTDataContainer::GetGradeInfo() const
{
    return m_GradeInfo;
}

void CHTDataContainer::SetGradeInfo(const CGradeInfo& grade)
{
    m_GradeInfo.CopyFrom(grade);
}

void CHTDataContainer::ResetPlayerState()
{
    for (INT_PTR i = 0; i < m_listSquares.GetCount(); i++)
    {
        CHTSquareData& square = m_listSquares.GetAt(i);
        square.m_nPlayerState = htsUndecided;
        square.m_bIslandMark = 0;
        square.m_bDuplicateMark = 0;
        square.m_bAdjacencyMark = 0;
    }
    m_nElapsedSeconds = 0;
}

void CHTDataContainer::ShowSolution()
{
    for (INT_PTR i = 0; i < m_listSquares.GetCount(); i++)
    {
        CHTSquareData& square = m_listSquares.GetAt(i);
        square.m_nPlayerState = square.m_nSolutionState;
        square.m_bIslandMark = 0;
        square.m_bDuplicateMark = 0;
        square.m_bAdjacencyMark = 0;
    }

    // Repaint the board of the main window's active view, if there is one.
    CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, AfxGetMainWnd());
    if (pFrame != NULL)
    {
        CView* pView = pFrame->GetActiveView();
        if (pView != NULL && ::IsWindow(pView->GetSafeHwnd()))
            pView->InvalidateRect(NULL, FALSE);
    }
}

BOOL CHTDataContainer::HasPlayerProgress() const
{
    for (INT_PTR i = 0; i < m_listSquares.GetCount(); i++)
    {
        int nState = m_listSquares.GetAt(i).m_nPlayerState;
        if (nState == htsUnshaded || nState == htsShaded)
            return TRUE;
    }
    return FALSE;
}

BOOL CHTDataContainer::CreateEmptyGrid(int nGradeIndex, int nAppearanceIndex)
{
    CAppearanceInfo appearance;
    g_ApplicationInfo.m_AppearanceInfoList.FindProfile(nAppearanceIndex, appearance);
    CGradeInfo grade;
    g_ApplicationInfo.m_GradeInfoList.FindProfile(nGradeIndex, grade);

    SetGridSize(grade.m_nColumns, grade.m_nRows);
    for (INT_PTR i = 0; i < m_listSquares.GetCount(); i++)
    {
        CHTSquareData& square = m_listSquares.GetAt(i);
        square.m_nNumber = HT_NO_NUMBER;
        square.m_nPlayerState = htsUndecided;
        square.m_nSolutionState = htsUndecided;
    }
    ApplySquareColours(appearance);
    m_AppearanceInfo.CopyFrom(appearance);
    m_GradeInfo.CopyFrom(grade);
    m_nGameState = htgsCopyMode;
    return TRUE;
}

BOOL CHTDataContainer::StepEnteredNumber(int nColumn, int nRow, BOOL bUp)
{
    CHTSquareData* pSquare = FindSquare(nColumn, nRow);
    if (pSquare == NULL)
        return FALSE;
    const int nMaxNumber = HTLargestSide(m_nColumns, m_nRows);
    int nNumber = pSquare->m_nNumber;
    if (nNumber < 1 || nNumber > nMaxNumber)
        nNumber = HT_NO_NUMBER;
    if (bUp)
        nNumber = nNumber == HT_NO_NUMBER ? 1 : (nNumber < nMaxNumber ? nNumber + 1 : HT_NO_NUMBER);
    else
        nNumber = nNumber == HT_NO_NUMBER ? nMaxNumber : (nNumber > 1 ? nNumber - 1 : HT_NO_NUMBER);
    pSquare->m_nNumber = nNumber;
    return TRUE;
}

BOOL CHTDataContainer::HasBlankSquare() const
{
    for (INT_PTR i = 0; i < m_listSquares.GetCount(); i++)
    {
        if (m_listSquares.GetAt(i).m_nNumber == HT_NO_NUMBER)
            return TRUE;
    }
    return FALSE;
}

BOOL CHTDataContainer::FinalizeEnteredGrid(CHTGeneratorProgress* pProgress)
{
    if (m_nGameState != htgsCopyMode || HasBlankSquare() || !IsValidGrid())
        return FALSE;
    CHTSolver solver;
    solver.SetProgress(pProgress);
    if (solver.Solve(*this, 1) < 1 || !solver.ApplySolution(*this))
        return FALSE;
    ResetPlayerState();
    m_nGameState = htgsPlaying;
    m_bModified = TRUE;
    return TRUE;
}

void CHTDataContainer::DrawBorder(CDC* pDC, int x, int y, int nSquareSize, BOOL bThick) const
{
    if (pDC == NULL || pDC->GetSafeHdc() == NULL)
        return;
    CPen pen;
    if (!pen.CreatePen(PS_SOLID, bThick ? 12 : 4, m_crBorder))
        return;
    CPen* pOldPen = pDC->SelectObject(&pen);

    const int nRight = x + nSquareSize * m_nColumns - 2;
    const int nBottom = y + nSquareSize * m_nRows - 2;
    pDC->MoveTo(x + 2, y + 2);
    pDC->LineTo(nRight, y + 2);
    pDC->LineTo(nRight, nBottom);
    pDC->LineTo(x + 2, nBottom);
    pDC->LineTo(x + 2, y + 2);

    pDC->SelectObject(pOldPen);
    pen.DeleteObject();
}

BOOL CHTDataContainer::IsValidGrid() const
{
    if (m_nColumns < 1 || m_nRows < 1 || m_nColumns > HT_MAX_GRID_SIDE || m_nRows > HT_MAX_GRID_SIDE)
        return FALSE;
    if (m_nGameState < htgsNone || m_nGameState > htgsCopyMode)
        return FALSE;
    if (m_listSquares.GetCount() != (INT_PTR)m_nColumns * m_nRows)
        return FALSE;

    const int nMaxNumber = HTLargestSide(m_nColumns, m_nRows);
    std::vector<BYTE> seen((size_t)m_nColumns * m_nRows, 0);
    for (INT_PTR i = 0; i < m_listSquares.GetCount(); i++)
    {
        const CHTSquareData& square = m_listSquares.GetAt(i);
        if (square.m_nColumn < 0 || square.m_nColumn >= m_nColumns || square.m_nRow < 0 ||
            square.m_nRow >= m_nRows)
            return FALSE;
        BYTE& bSeen = seen[(size_t)square.m_nColumn * m_nRows + square.m_nRow];
        if (bSeen)
            return FALSE; // listed twice; with the count right, another is missing
        bSeen = 1;
        if (square.m_nPlayerState < htsUndecided || square.m_nPlayerState > htsShaded ||
            square.m_nSolutionState < htsUndecided || square.m_nSolutionState > htsShaded)
            return FALSE;
        if (square.m_nNumber < HT_NO_NUMBER || square.m_nNumber > nMaxNumber)
            return FALSE;
    }
    return TRUE;
}
