// The puzzle generator.
#include "HTGenerator.h"

#include <algorithm>
#include <vector>

namespace
{
// The share of the squares the shading phase tries to shade: 3 in 10.
const int kShadedPerTen = 3;

// The random sequence: a linear congruential generator with the ranges of
// the C library's rand (0..32767). Every run continues the one sequence of
// the process, so two runs started in the same second still differ.
unsigned int s_nRandomState = 0;
BOOL s_bSeeded = FALSE;

void EnsureSeeded()
{
    if (s_bSeeded)
        return;
    LARGE_INTEGER counter;
    counter.QuadPart = 0;
    ::QueryPerformanceCounter(&counter);
    FILETIME now;
    ::GetSystemTimeAsFileTime(&now);
    s_nRandomState = (unsigned int)counter.LowPart ^ (unsigned int)counter.HighPart ^ now.dwLowDateTime ^
                     (now.dwHighDateTime << 7) ^ (::GetCurrentProcessId() << 16) ^ ::GetTickCount();
    s_bSeeded = TRUE;
}

// Consecutive failed connectivity tries after which the target drops by one.
const int kFailuresPerDrop = 5;
} // namespace

void AFXAPI CHTGenerator::SeedRandom(unsigned int nSeed)
{
    s_nRandomState = nSeed;
    s_bSeeded = TRUE;
}

int AFXAPI CHTGenerator::Random()
{
    EnsureSeeded();
    s_nRandomState = s_nRandomState * 214013u + 2531011u;
    return (int)((s_nRandomState >> 16) & 0x7FFF);
}

CHTGenerator::CHTGenerator()
{
}

CHTGenerator::~CHTGenerator()
{
}

BOOL CHTGenerator::Generate(CHTGeneratorProgress* pProgress, int nColumns, int nRows, CHTDataContainer* pContainer)
{
    if (pContainer == NULL)
        return FALSE;
    EnsureSeeded();
    pContainer->SetGridSize(nColumns, nRows);
    if (nColumns < 1 || nRows < 1)
        return FALSE;

    // Shading phase: keep each randomly shaded square only while the
    // adjacency and connectivity rules hold.
    const int nCells = nColumns * nRows;
    int nTarget = nCells * kShadedPerTen / 10;
    int nShaded = 0;
    int nFailures = 0;

    // Squares that can no longer be shaded without touching a shaded one:
    // the shaded squares and their side neighbours. When every square is
    // blocked the target drops to the count reached, so the loop ends.
    std::vector<BYTE> blocked((size_t)nCells, 0);
    int nFree = nCells;
    auto block = [&](int nColumn, int nRow) {
        if (nColumn < 0 || nRow < 0 || nColumn >= nColumns || nRow >= nRows)
            return;
        BYTE& bBlocked = blocked[(size_t)nColumn * nRows + nRow];
        if (!bBlocked)
        {
            bBlocked = 1;
            nFree--;
        }
    };

    while (nShaded < nTarget)
    {
        if (pProgress != NULL && pProgress->IsCancelled())
            break;
        if (nFree == 0)
        {
            nTarget = nShaded;
            break;
        }

        const int nColumn = Random() % nColumns;
        const int nRow = Random() % nRows;
        CHTSquareData* pSquare = pContainer->FindSquare(nColumn, nRow);
        if (pSquare == NULL || pSquare->m_nSolutionState != htsUndecided)
            continue; // already shaded: draw again, no progress step

        pSquare->m_nSolutionState = htsShaded;
        BOOL bKept = FALSE;
        if (!pContainer->IsAdjacentShaded(nColumn, nRow, TRUE))
        {
            if (AreUnshadedSquaresConnected(*pContainer, TRUE))
            {
                bKept = TRUE;
                nShaded++;
                nFailures = 0;
                block(nColumn, nRow);
                block(nColumn - 1, nRow);
                block(nColumn + 1, nRow);
                block(nColumn, nRow - 1);
                block(nColumn, nRow + 1);
            }
            else
            {
                pContainer->ClearIslandMarks();
                if (++nFailures >= kFailuresPerDrop)
                {
                    nTarget--;
                    nFailures = 0;
                }
            }
        }
        if (!bKept)
            pSquare->m_nSolutionState = htsUndecided;

        if (pProgress != NULL)
        {
            pProgress->StepProgress();
            pProgress->PumpMessages();
        }
    }
    if (pProgress != NULL && pProgress->IsCancelled())
        return FALSE;

    // Numbering phase.
    const int nMaxNumber = HTLargestSide(nColumns, nRows);
    std::vector<BYTE> flags((size_t)nMaxNumber + 1);

    // Squares that are not shaded: a number not yet used by another such
    // square of the same column or row.
    for (int nColumn = 0; nColumn < nColumns; nColumn++)
    {
        for (int nRow = 0; nRow < nRows; nRow++)
        {
            CHTSquareData* pSquare = pContainer->FindSquare(nColumn, nRow);
            if (pSquare == NULL || pSquare->m_nSolutionState == htsShaded)
                continue;
            std::fill(flags.begin(), flags.end(), 0);
            CollectNumbers(*pContainer, nColumn, nRow, flags.data(), htsUndecided);
            BOOL bFree = FALSE;
            for (int n = 1; n <= nMaxNumber && !bFree; n++)
                bFree = !flags[(size_t)n];
            if (!bFree)
                return FALSE; // dead end: every number is taken
            // The flags are exactly the numbers used in this row or column
            // by squares that are not shaded.
            int nNumber;
            do
            {
                nNumber = Random() % nMaxNumber + 1;
            } while (flags[(size_t)nNumber]);
            pSquare->m_nNumber = nNumber;
        }
    }

    // Shaded squares: a number that already occurs in the column or row, so
    // that shading it is needed to keep the numbers apart.
    for (int nColumn = 0; nColumn < nColumns; nColumn++)
    {
        for (int nRow = 0; nRow < nRows; nRow++)
        {
            CHTSquareData* pSquare = pContainer->FindSquare(nColumn, nRow);
            if (pSquare == NULL || pSquare->m_nSolutionState != htsShaded)
                continue;
            std::fill(flags.begin(), flags.end(), 0);
            CollectNumbers(*pContainer, nColumn, nRow, flags.data(), -1);
            BOOL bAny = FALSE;
            for (int n = 1; n <= nMaxNumber && !bAny; n++)
                bAny = flags[(size_t)n] != 0;
            if (!bAny)
                return FALSE; // nothing to repeat (a shaded square always has numbered neighbours)
            int nNumber;
            do
            {
                nNumber = Random() % nMaxNumber + 1;
            } while (!flags[(size_t)nNumber]);
            pSquare->m_nNumber = nNumber;
        }
    }
    return TRUE;
}

void CHTGenerator::CollectNumbers(const CHTDataContainer& container, int nColumn, int nRow, BYTE* pFlags,
                                  int nFilter) const
{
    if (pFlags == NULL)
        return;
    const int nMaxNumber = HTLargestSide(container.m_nColumns, container.m_nRows);
    auto collect = [&](const CHTSquareData* pSquare) {
        if (pSquare == NULL || pSquare->m_nNumber == HT_NO_NUMBER)
            return;
        if (nFilter != -1 && pSquare->m_nSolutionState != nFilter)
            return;
        if (pSquare->m_nNumber >= 0 && pSquare->m_nNumber <= nMaxNumber)
            pFlags[pSquare->m_nNumber] = 1;
    };
    for (int nOtherColumn = 0; nOtherColumn < container.m_nColumns; nOtherColumn++)
        collect(container.FindSquare(nOtherColumn, nRow));
    for (int nOtherRow = 0; nOtherRow < container.m_nRows; nOtherRow++)
        collect(container.FindSquare(nColumn, nOtherRow));
}

BOOL CHTGenerator::HasFreeNumber(const CHTDataContainer& container, int nColumn, int nRow) const
{
    const int nMaxNumber = HTLargestSide(container.m_nColumns, container.m_nRows);
    if (nMaxNumber < 1)
        return FALSE;
    std::vector<BYTE> flags((size_t)nMaxNumber + 1, 0);
    CollectNumbers(container, nColumn, nRow, flags.data(), htsUndecided);
    for (int n = 1; n <= nMaxNumber; n++)
    {
        if (!flags[(size_t)n])
            return TRUE;
    }
    return FALSE;
}

BOOL CHTGenerator::IsNumberUsedInRow(const CHTDataContainer& container, int nNumber, int nRow) const
{
    for (int nColumn = 0; nColumn < container.m_nColumns; nColumn++)
    {
        const CHTSquareData* pSquare = container.FindSquare(nColumn, nRow);
        if (pSquare != NULL && pSquare->m_nSolutionState == htsUndecided && pSquare->m_nNumber == nNumber)
            return TRUE;
    }
    return FALSE;
}

BOOL CHTGenerator::IsNumberUsedInColumn(const CHTDataContainer& container, int nNumber, int nColumn) const
{
    for (int nRow = 0; nRow < container.m_nRows; nRow++)
    {
        const CHTSquareData* pSquare = container.FindSquare(nColumn, nRow);
        if (pSquare != NULL && pSquare->m_nSolutionState == htsUndecided && pSquare->m_nNumber == nNumber)
            return TRUE;
    }
    return FALSE;
}
