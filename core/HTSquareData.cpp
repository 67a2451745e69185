// One square of a puzzle, its text form and the square list.
#include "HTSquareData.h"

#include <stdlib.h>
#include <string.h>

#include <algorithm>

namespace
{
// Coordinates the dense index covers at most, per side and in total.
const int kMaxIndexSide = 1024;
const int kMaxIndexCells = 1 << 20;

// Decimal text to an integer like atoi (leading blanks, sign, digits; other
// text reads as 0), but saturating instead of overflowing.
int ParseInteger(const char* pszText)
{
    return (int)strtol(pszText, NULL, 10);
}
} // namespace

CHTSquareData::CHTSquareData()
    : m_nColumn(-1),
      m_nRow(-1),
      m_crSquareBorder(RGB(0, 0, 255)),
      m_crShadedFill(RGB(51, 51, 51)),
      m_crShadedNumber(RGB(255, 255, 255)),
      m_crUnshadedFill(RGB(255, 251, 255)),
      m_crUnshadedNumber(RGB(51, 51, 51)),
      m_crIslandFill(RGB(0, 0, 128)),
      m_crIslandNumber(RGB(0, 0, 255)),
      m_crUnshadedDupFill(RGB(0, 0, 128)),
      m_crUnshadedDupNumber(RGB(0, 0, 255)),
      m_crAdjacentShadedFill(RGB(0, 128, 0)),
      m_crAdjacentShadedNumber(RGB(0, 0, 0)),
      m_nPlayerState(htsUnshaded),
      m_nSolutionState(htsUnshaded),
      m_nNumber(HT_NO_NUMBER),
      m_bIslandMark(0),
      m_bDuplicateMark(0),
      m_bAdjacencyMark(0)
{
}

CString CHTSquareData::ToText() const
{
    const int values[] = {
        (int)m_crSquareBorder,       (int)m_crShadedFill,           (int)m_crShadedNumber,
        (int)m_crUnshadedFill,       (int)m_crUnshadedNumber,       (int)m_crAdjacentShadedFill,
        (int)m_crAdjacentShadedNumber, (int)m_crIslandFill,         (int)m_crIslandNumber,
        m_nPlayerState,              m_nSolutionState,              m_nNumber,
        m_bIslandMark,               m_bDuplicateMark,              m_bAdjacencyMark,
    };
    CString strLine;
    strLine.Format("%d,%d", m_nColumn, m_nRow);
    CString strValue;
    for (int nValue : values)
    {
        strValue.Format(",%d", nValue);
        strLine += strValue;
    }
    strLine += ",";
    return strLine;
}

void CHTSquareData::FromText(const CString& strLine)
{
    // The values between the commas, read in place: a file holds hundreds
    // of these lines, and parts copied out one by one made reading slow.
    int values[17];
    const char* pszPart = strLine;
    for (int i = 0; i < 17; i++)
    {
        if (pszPart == NULL)
        {
            values[i] = 0;
            continue;
        }
        values[i] = ParseInteger(pszPart);
        pszPart = strchr(pszPart, ',');
        if (pszPart != NULL)
            pszPart++;
    }

    m_nColumn = values[0];
    m_nRow = values[1];
    m_crSquareBorder = (COLORREF)values[2];
    m_crShadedFill = (COLORREF)values[3];
    m_crShadedNumber = (COLORREF)values[4];
    m_crUnshadedFill = (COLORREF)values[5];
    m_crUnshadedNumber = (COLORREF)values[6];
    m_crAdjacentShadedFill = (COLORREF)values[7];
    m_crAdjacentShadedNumber = (COLORREF)values[8];
    m_crIslandFill = (COLORREF)values[9];
    m_crIslandNumber = (COLORREF)values[10];
    m_nPlayerState = values[11];
    m_nSolutionState = values[12];
    m_nNumber = values[13];
    m_bIslandMark = values[14] != 0 ? 1 : 0;
    m_bDuplicateMark = values[15] != 0 ? 1 : 0;
    m_bAdjacencyMark = values[16] != 0 ? 1 : 0;
}

void AFXAPI SplitString(const CString& strText, LPCTSTR lpszSeparator, CStringArray& arrParts)
{
    arrParts.RemoveAll();
    CString strRest = strText;
    const int nSeparatorLength = lpszSeparator != NULL ? (int)strlen(lpszSeparator) : 0;
    if (nSeparatorLength > 0)
    {
        // The separator counts as one character when the rest is shortened,
        // which is exact for the one-character separators in use.
        int nFound;
        while ((nFound = strRest.Find(lpszSeparator)) >= 0)
        {
            arrParts.Add(strRest.Left(nFound));
            strRest = strRest.Mid(nFound + 1);
        }
    }
    arrParts.Add(strRest);
}

// ---------------------------------------------------------------------------
// CHTSquareDataList

CHTSquareDataList::CHTSquareDataList() : m_nIndexColumns(0), m_nIndexRows(0), m_nOutsideIndex(0)
{
}

void CHTSquareDataList::RemoveAll()
{
    m_squares.clear();
    m_index.clear();
    m_nIndexColumns = 0;
    m_nIndexRows = 0;
    m_nOutsideIndex = 0;
}

POSITION CHTSquareDataList::GetHeadPosition() const
{
    return m_squares.empty() ? NULL : (POSITION)(UINT_PTR)1;
}

CHTSquareData& CHTSquareDataList::GetNext(POSITION& pos)
{
    size_t nItem = (size_t)(UINT_PTR)pos - 1;
    pos = nItem + 1 < m_squares.size() ? (POSITION)(UINT_PTR)(nItem + 2) : NULL;
    return m_squares[nItem];
}

const CHTSquareData& CHTSquareDataList::GetNext(POSITION& pos) const
{
    size_t nItem = (size_t)(UINT_PTR)pos - 1;
    pos = nItem + 1 < m_squares.size() ? (POSITION)(UINT_PTR)(nItem + 2) : NULL;
    return m_squares[nItem];
}

INT_PTR CHTSquareDataList::FindIndex(int nColumn, int nRow) const
{
    if (IsIndexed(nColumn, nRow))
        return m_index[(size_t)nColumn * m_nIndexRows + nRow];
    if (m_nOutsideIndex > 0)
    {
        for (size_t i = 0; i < m_squares.size(); i++)
        {
            if (m_squares[i].m_nColumn == nColumn && m_squares[i].m_nRow == nRow)
                return (INT_PTR)i;
        }
    }
    return -1;
}

CHTSquareData* CHTSquareDataList::Find(int nColumn, int nRow)
{
    INT_PTR nItem = FindIndex(nColumn, nRow);
    return nItem >= 0 ? &m_squares[(size_t)nItem] : NULL;
}

const CHTSquareData* CHTSquareDataList::Find(int nColumn, int nRow) const
{
    INT_PTR nItem = FindIndex(nColumn, nRow);
    return nItem >= 0 ? &m_squares[(size_t)nItem] : NULL;
}

void CHTSquareDataList::ResizeIndex(int nColumns, int nRows)
{
    m_nIndexColumns = nColumns;
    m_nIndexRows = nRows;
    m_index.assign((size_t)nColumns * nRows, -1);
    m_nOutsideIndex = 0;
    for (size_t i = 0; i < m_squares.size(); i++)
    {
        const CHTSquareData& square = m_squares[i];
        if (IsIndexed(square.m_nColumn, square.m_nRow))
        {
            int& nEntry = m_index[(size_t)square.m_nColumn * m_nIndexRows + square.m_nRow];
            if (nEntry < 0)
                nEntry = (int)i;
        }
        else
        {
            m_nOutsideIndex++;
        }
    }
}

BOOL CHTSquareDataList::GrowIndex(int nColumn, int nRow)
{
    if (nColumn < 0 || nRow < 0 || nColumn >= kMaxIndexSide || nRow >= kMaxIndexSide)
        return FALSE;
    int nColumns = m_nIndexColumns;
    int nRows = m_nIndexRows;
    if (nColumn >= nColumns)
        nColumns = std::min(kMaxIndexSide, std::max(nColumn + 1, nColumns * 2));
    if (nRow >= nRows)
        nRows = std::min(kMaxIndexSide, std::max(nRow + 1, nRows * 2));
    if ((long long)nColumns * nRows > kMaxIndexCells)
    {
        nColumns = std::max(m_nIndexColumns, nColumn + 1);
        nRows = std::max(m_nIndexRows, nRow + 1);
        if ((long long)nColumns * nRows > kMaxIndexCells)
            return FALSE;
    }
    ResizeIndex(nColumns, nRows);
    return TRUE;
}

void CHTSquareDataList::ReserveGrid(int nColumns, int nRows)
{
    if (nColumns <= 0 || nRows <= 0)
        return;
    if ((long long)nColumns * nRows <= kMaxIndexCells)
        m_squares.reserve(m_squares.size() + (size_t)nColumns * nRows);
    if (nColumns <= kMaxIndexSide && nRows <= kMaxIndexSide && (long long)nColumns * nRows <= kMaxIndexCells &&
        (nColumns > m_nIndexColumns || nRows > m_nIndexRows))
        ResizeIndex(std::max(nColumns, m_nIndexColumns), std::max(nRows, m_nIndexRows));
}

BOOL CHTSquareDataList::Add(const CHTSquareData& square)
{
    if (FindIndex(square.m_nColumn, square.m_nRow) >= 0)
        return FALSE;
    if (!IsIndexed(square.m_nColumn, square.m_nRow))
        GrowIndex(square.m_nColumn, square.m_nRow);

    m_squares.push_back(square);
    if (IsIndexed(square.m_nColumn, square.m_nRow))
        m_index[(size_t)square.m_nColumn * m_nIndexRows + square.m_nRow] = (int)(m_squares.size() - 1);
    else
        m_nOutsideIndex++;
    return TRUE;
}
