// Large entered grids for the tests of solving and finalizing: the largest
// size the puzzle file allows, numbered so that the solver needs seconds.
#pragma once

#include "HTDataContainer.h"

#include <random>

namespace testsupport
{
// Fills the grid, made n x n, with a Latin square (no number repeated in a
// column or row) in which nChanges squares drawn at random from the seed
// take a random number; it is left in entry (copy) mode. With n 64, about
// 280 changes and the seed given by SlowLargeGridSeed the grid has a
// solution the solver searches seconds for.
inline void MakeChangedLatinSquare(CHTDataContainer& grid, int n, int nChanges, unsigned nSeed)
{
    grid.SetGridSize(n, n);
    for (int c = 0; c < n; c++)
        for (int r = 0; r < n; r++)
            grid.FindSquare(c, r)->m_nNumber = (c + r) % n + 1;
    std::mt19937 random(nSeed);
    for (int i = 0; i < nChanges; i++)
    {
        const int c = (int)(random() % (unsigned)n), r = (int)(random() % (unsigned)n);
        grid.FindSquare(c, r)->m_nNumber = (int)(random() % (unsigned)n) + 1;
    }
    grid.m_nGameState = htgsCopyMode;
}

const int kSlowGridSide = 64;
const int kSlowGridChanges = 283;
inline unsigned SlowLargeGridSeed() { return 1u; }

inline void MakeSlowLargeGrid(CHTDataContainer& grid)
{
    MakeChangedLatinSquare(grid, kSlowGridSide, kSlowGridChanges, SlowLargeGridSeed());
}
} // namespace testsupport
