// The three rules of the puzzle (no repeated number among the squares that
// are not shaded, no two shaded squares side by side, all squares that are
// not shaded connected) and the marks they set on the squares.
#include "HTDataContainer.h"

#include <algorithm>
#include <vector>

namespace
{
// State of one cell in the flat form the checks work on.
enum CellState : BYTE
{
    cellMissing = 0,   // no square at this cell
    cellOpen = 1,      // a square that is not shaded
    cellShaded = 2
};

// The squares of a position by cell, (column, row) at column * rows + row.
// When two squares share a cell the first in list order stands for it, as a
// lookup by coordinates would find it.
class CGridCells
{
public:
    CGridCells(const CHTDataContainer& container, BOOL bUseSolution)
        : m_nColumns(container.m_nColumns > 0 ? container.m_nColumns : 0),
          m_nRows(container.m_nRows > 0 ? container.m_nRows : 0)
    {
        if (m_nColumns == 0 || m_nRows == 0)
        {
            m_nColumns = m_nRows = 0;
            return;
        }
        const size_t nCells = (size_t)m_nColumns * m_nRows;
        m_squares.assign(nCells, -1);
        m_states.assign(nCells, cellMissing);
        const CHTSquareDataList& list = container.m_listSquares;
        for (INT_PTR i = 0; i < list.GetCount(); i++)
        {
            const CHTSquareData& square = list.GetAt(i);
            if (square.m_nColumn < 0 || square.m_nColumn >= m_nColumns || square.m_nRow < 0 ||
                square.m_nRow >= m_nRows)
                continue;
            size_t nCell = (size_t)square.m_nColumn * m_nRows + square.m_nRow;
            if (m_squares[nCell] >= 0)
                continue;
            m_squares[nCell] = (int)i;
            m_states[nCell] = square.IsShaded(bUseSolution) ? cellShaded : cellOpen;
        }
    }

    int Columns() const { return m_nColumns; }
    int Rows() const { return m_nRows; }
    size_t Cells() const { return m_states.size(); }
    const BYTE* States() const { return m_states.data(); }
    BYTE State(size_t nCell) const { return m_states[nCell]; }
    // List position of the square of a cell, -1 for none.
    int Square(size_t nCell) const { return m_squares[nCell]; }

private:
    int m_nColumns;
    int m_nRows;
    std::vector<int> m_squares;
    std::vector<BYTE> m_states;
};

// Fills from one cell across open cells with an explicit stack. Every cell
// entered is reached; a shaded cell is entered but not left. Each cell is
// pushed at most once, so the stack never holds more than the grid.
void FillCells(const BYTE* pStates, ConnectivityRecord* pRecords, int nColumns, int nRows, int nStartColumn,
               int nStartRow)
{
    const int nStart = nStartColumn * nRows + nStartRow;
    if (pStates[nStart] == cellMissing || pRecords[nStart].bReached)
        return;

    std::vector<int> stack;
    stack.reserve((size_t)nColumns * nRows);
    pRecords[nStart].bReached = 1;
    stack.push_back(nStart);
    while (!stack.empty())
    {
        const int nCell = stack.back();
        stack.pop_back();
        if (pStates[nCell] != cellOpen)
            continue;
        const int nColumn = nCell / nRows;
        const int nRow = nCell - nColumn * nRows;
        ConnectivityRecord& record = pRecords[nCell];

        // Above, below, left, right.
        if (nRow >= 1 && !record.bLinkUp)
        {
            const int nNext = nCell - 1;
            record.bLinkUp = 1;
            pRecords[nNext].bLinkDown = 1;
            if (pStates[nNext] != cellMissing && !pRecords[nNext].bReached)
            {
                pRecords[nNext].bReached = 1;
                stack.push_back(nNext);
            }
        }
        if (nRow < nRows - 1 && !record.bLinkDown)
        {
            const int nNext = nCell + 1;
            record.bLinkDown = 1;
            pRecords[nNext].bLinkUp = 1;
            if (pStates[nNext] != cellMissing && !pRecords[nNext].bReached)
            {
                pRecords[nNext].bReached = 1;
                stack.push_back(nNext);
            }
        }
        if (nColumn >= 1 && !record.bLinkLeft)
        {
            const int nNext = nCell - nRows;
            record.bLinkLeft = 1;
            pRecords[nNext].bLinkRight = 1;
            if (pStates[nNext] != cellMissing && !pRecords[nNext].bReached)
            {
                pRecords[nNext].bReached = 1;
                stack.push_back(nNext);
            }
        }
        if (nColumn < nColumns - 1 && !record.bLinkRight)
        {
            const int nNext = nCell + nRows;
            record.bLinkRight = 1;
            pRecords[nNext].bLinkLeft = 1;
            if (pStates[nNext] != cellMissing && !pRecords[nNext].bReached)
            {
                pRecords[nNext].bReached = 1;
                stack.push_back(nNext);
            }
        }
    }
}

BOOL IsShadedAt(const CHTDataContainer& container, int nColumn, int nRow, BOOL bUseSolution)
{
    const CHTSquareData* pSquare = container.FindSquare(nColumn, nRow);
    return pSquare != NULL && pSquare->IsShaded(bUseSolution);
}
} // namespace

BOOL CHTDataContainer::IsAdjacentShaded(int nColumn, int nRow, BOOL bUseSolution) const
{
    if (!IsShadedAt(*this, nColumn, nRow, bUseSolution))
        return FALSE;
    if (nColumn >= 1 && IsShadedAt(*this, nColumn - 1, nRow, bUseSolution))
        return TRUE;
    if (nColumn < m_nColumns - 1 && IsShadedAt(*this, nColumn + 1, nRow, bUseSolution))
        return TRUE;
    if (nRow >= 1 && IsShadedAt(*this, nColumn, nRow - 1, bUseSolution))
        return TRUE;
    if (nRow < m_nRows - 1 && IsShadedAt(*this, nColumn, nRow + 1, bUseSolution))
        return TRUE;
    return FALSE;
}

BOOL CHTDataContainer::HasAdjacentShaded(BOOL bUseSolution) const
{
    for (int nColumn = 0; nColumn < m_nColumns; nColumn++)
    {
        for (int nRow = 0; nRow < m_nRows; nRow++)
        {
            if (IsAdjacentShaded(nColumn, nRow, bUseSolution))
                return TRUE;
        }
    }
    return FALSE;
}

void CHTDataContainer::MarkAdjacentShaded()
{
    for (int nColumn = 0; nColumn < m_nColumns; nColumn++)
    {
        for (int nRow = 0; nRow < m_nRows; nRow++)
        {
            CHTSquareData* pSquare = FindSquare(nColumn, nRow);
            if (pSquare != NULL)
                pSquare->m_bAdjacencyMark = IsAdjacentShaded(nColumn, nRow, FALSE) ? 1 : 0;
        }
    }
}

BOOL CHTDataContainer::MarkDuplicates(BOOL bUseSolution)
{
    ClearDuplicateMarks();
    CGridCells cells(*this, bUseSolution);
    const int nColumns = cells.Columns();
    const int nRows = cells.Rows();
    if (nColumns == 0)
        return FALSE;

    // Only the numbers 1..max(columns, rows) take part.
    const int nMaxNumber = HTLargestSide(nColumns, nRows);
    std::vector<int> counts((size_t)nMaxNumber + 1);
    BOOL bFound = FALSE;

    // Counts the numbers of one line of cells, then marks the repeated ones.
    auto markLine = [&](size_t nFirst, size_t nStep, int nLength) {
        std::fill(counts.begin(), counts.end(), 0);
        for (int i = 0; i < nLength; i++)
        {
            const size_t nCell = nFirst + i * nStep;
            if (cells.State(nCell) != cellOpen)
                continue;
            const int nNumber = m_listSquares.GetAt(cells.Square(nCell)).m_nNumber;
            if (nNumber >= 1 && nNumber <= nMaxNumber)
                counts[(size_t)nNumber]++;
        }
        for (int i = 0; i < nLength; i++)
        {
            const size_t nCell = nFirst + i * nStep;
            if (cells.State(nCell) != cellOpen)
                continue;
            CHTSquareData& square = m_listSquares.GetAt(cells.Square(nCell));
            if (square.m_nNumber >= 1 && square.m_nNumber <= nMaxNumber && counts[(size_t)square.m_nNumber] >= 2)
            {
                square.m_bDuplicateMark = 1;
                bFound = TRUE;
            }
        }
    };

    for (int nColumn = 0; nColumn < nColumns; nColumn++)
        markLine((size_t)nColumn * nRows, 1, nRows);
    for (int nRow = 0; nRow < nRows; nRow++)
        markLine((size_t)nRow, (size_t)nRows, nColumns);
    return bFound;
}

void CHTDataContainer::RefreshRuleMarks()
{
    AreUnshadedSquaresConnected(*this, FALSE);
    MarkDuplicates(FALSE);
    MarkAdjacentShaded();
}

void CHTDataContainer::UpdateUnshadedSquares()
{
    CGridCells cells(*this, FALSE);
    const int nColumns = cells.Columns();
    const int nRows = cells.Rows();
    for (int nColumn = 0; nColumn < nColumns; nColumn++)
    {
        for (int nRow = 0; nRow < nRows; nRow++)
        {
            const size_t nCell = (size_t)nColumn * nRows + nRow;
            if (cells.State(nCell) != cellOpen)
                continue;
            int nShaded = 0;
            if (nRow >= 1 && cells.State(nCell - 1) == cellShaded)
                nShaded++;
            if (nRow < nRows - 1 && cells.State(nCell + 1) == cellShaded)
                nShaded++;
            if (nColumn >= 1 && cells.State(nCell - nRows) == cellShaded)
                nShaded++;
            if (nColumn < nColumns - 1 && cells.State(nCell + nRows) == cellShaded)
                nShaded++;
            m_listSquares.GetAt(cells.Square(nCell)).m_nPlayerState = nShaded >= 1 ? htsUnshaded : htsUndecided;
        }
    }
}

void CHTDataContainer::ClearIslandMarks()
{
    for (INT_PTR i = 0; i < m_listSquares.GetCount(); i++)
        m_listSquares.GetAt(i).m_bIslandMark = 0;
}

void CHTDataContainer::ClearDuplicateMarks()
{
    for (INT_PTR i = 0; i < m_listSquares.GetCount(); i++)
        m_listSquares.GetAt(i).m_bDuplicateMark = 0;
}

void CHTDataContainer::ClearAdjacencyMarks()
{
    for (INT_PTR i = 0; i < m_listSquares.GetCount(); i++)
        m_listSquares.GetAt(i).m_bAdjacencyMark = 0;
}

BOOL AFXAPI AreUnshadedSquaresConnected(CHTDataContainer& container, BOOL bUseSolution)
{
    CGridCells cells(container, bUseSolution);
    const int nColumns = cells.Columns();
    const int nRows = cells.Rows();
    if (nColumns == 0)
        return TRUE;

    std::vector<ConnectivityRecord> records(cells.Cells(), ConnectivityRecord());

    // Start at the first square, column by column, that is not shaded.
    for (size_t nCell = 0; nCell < cells.Cells(); nCell++)
    {
        if (cells.State(nCell) == cellOpen)
        {
            FillCells(cells.States(), records.data(), nColumns, nRows, (int)nCell / nRows, (int)nCell % nRows);
            break;
        }
    }

    BOOL bConnected = TRUE;
    for (size_t nCell = 0; nCell < cells.Cells(); nCell++)
    {
        if (cells.Square(nCell) < 0)
            continue;
        const BOOL bIsland = !records[nCell].bReached;
        container.m_listSquares.GetAt(cells.Square(nCell)).m_bIslandMark = bIsland ? 1 : 0;
        if (bIsland)
            bConnected = FALSE;
    }
    return bConnected;
}

void AFXAPI FloodFillUnshaded(const CHTDataContainer& container, ConnectivityRecord* pRecords, int nColumn,
                              int nRow, BOOL bUseSolution)
{
    CGridCells cells(container, bUseSolution);
    if (pRecords == NULL || cells.Columns() == 0 || nColumn < 0 || nRow < 0 || nColumn >= cells.Columns() ||
        nRow >= cells.Rows())
        return;
    FillCells(cells.States(), pRecords, cells.Columns(), cells.Rows(), nColumn, nRow);
}
