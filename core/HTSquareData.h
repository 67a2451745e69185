// One square of a puzzle and the list that holds a puzzle's squares.
#pragma once

#include <afx.h>
#include <afxcoll.h>

#include <vector>

// Player and solution states of a square. Every rule check takes a square as
// shaded when its state is htsShaded; any other value counts as not shaded.
enum HTSquareState
{
    htsUndecided = 0,
    htsUnshaded = 1,
    htsShaded = 2
};

// The number of a square that has none yet.
#define HT_NO_NUMBER (-1)

class CHTSquareData
{
public:
    CHTSquareData();
    virtual ~CHTSquareData() {}

    // The square as one line of the puzzle file, without the line end:
    // seventeen comma-separated values, the last followed by a comma too.
    CString ToText() const;
    // Fills the square from such a line. Missing values read as 0; the two
    // unshaded-duplicate colours (not stored) keep their values.
    void FromText(const CString& strLine);

    BOOL IsShaded(BOOL bUseSolution) const
    {
        return (bUseSolution ? m_nSolutionState : m_nPlayerState) == htsShaded;
    }

public:
    int m_nColumn;
    int m_nRow;
    COLORREF m_crSquareBorder;
    COLORREF m_crShadedFill;
    COLORREF m_crShadedNumber;
    COLORREF m_crUnshadedFill;
    COLORREF m_crUnshadedNumber;
    COLORREF m_crIslandFill;
    COLORREF m_crIslandNumber;
    COLORREF m_crUnshadedDupFill;
    COLORREF m_crUnshadedDupNumber;
    COLORREF m_crAdjacentShadedFill;
    COLORREF m_crAdjacentShadedNumber;
    int m_nPlayerState;     // HTSquareState
    int m_nSolutionState;   // htsShaded, or not shaded
    int m_nNumber;          // the clue; HT_NO_NUMBER while unset
    BYTE m_bIslandMark;
    BYTE m_bDuplicateMark;
    BYTE m_bAdjacencyMark;
};

// Splits text at every occurrence of the separator. The text after the last
// separator is always appended, even when it is empty ("1,2," gives "1",
// "2" and "").
void AFXAPI SplitString(const CString& strText, LPCTSTR lpszSeparator, CStringArray& arrParts);

// The squares of a puzzle in their list order, with an index beside the list
// so that a square is found by (column, row) in constant time. The list only
// grows or is emptied, so a POSITION stays valid until RemoveAll.
class CHTSquareDataList
{
public:
    CHTSquareDataList();

    INT_PTR GetCount() const { return (INT_PTR)m_squares.size(); }
    BOOL IsEmpty() const { return m_squares.empty(); }
    void RemoveAll();

    // Walk in list order.
    POSITION GetHeadPosition() const;
    CHTSquareData& GetNext(POSITION& pos);
    const CHTSquareData& GetNext(POSITION& pos) const;

    // By list position, 0 to GetCount() - 1.
    CHTSquareData& GetAt(INT_PTR nItem) { return m_squares[(size_t)nItem]; }
    const CHTSquareData& GetAt(INT_PTR nItem) const { return m_squares[(size_t)nItem]; }

    // The square at (column, row); NULL when there is none. When two squares
    // share the coordinates, the first one in list order.
    CHTSquareData* Find(int nColumn, int nRow);
    const CHTSquareData* Find(int nColumn, int nRow) const;
    // List position of the square at (column, row), or -1.
    INT_PTR FindIndex(int nColumn, int nRow) const;

    // Appends a copy of the square; FALSE (and nothing added) when a square
    // with its coordinates exists.
    BOOL Add(const CHTSquareData& square);

    // Prepares room and the index for a grid of the given size.
    void ReserveGrid(int nColumns, int nRows);

private:
    BOOL IsIndexed(int nColumn, int nRow) const
    {
        return nColumn >= 0 && nRow >= 0 && nColumn < m_nIndexColumns && nRow < m_nIndexRows;
    }
    // Widens the index so that it covers (column, row), when that stays
    // within the index's limits; FALSE when it does not.
    BOOL GrowIndex(int nColumn, int nRow);
    void ResizeIndex(int nColumns, int nRows);

    std::vector<CHTSquareData> m_squares;
    // Dense index over [0, m_nIndexColumns) x [0, m_nIndexRows): list
    // position of the square, -1 for none. Squares outside that range (far
    // outside any grid) are kept too and found by a walk of the list.
    std::vector<int> m_index;
    int m_nIndexColumns;
    int m_nIndexRows;
    INT_PTR m_nOutsideIndex; // number of squares outside the index range
};
