// The solver of an entered grid: finds a shading of the numbered squares
// that keeps the puzzle's three rules (no number repeated among the squares
// that are not shaded in a column or row, no two shaded squares side by
// side, the squares that are not shaded forming one connected area).
#pragma once

#include "HTDataContainer.h"
#include "HTGenerator.h"

#include <vector>

class CHTSolver
{
public:
    CHTSolver();

    // Searches the shadings of the grid's numbers, stopping once
    // nMaxSolutions were found, and returns how many were found (0 when
    // there is none, or when a square has no number or a number outside
    // 1..max(columns, rows), or the grid is not whole).
    //
    // A square whose number occurs nowhere else in its column and row among
    // squares that are not shaded is left unshaded: shading it is never
    // needed, and counting such shadings would make every grid ambiguous.
    // Solutions are counted in that sense.
    //
    // With a progress (see SetProgress) the search pumps messages as it
    // goes and stops when the progress is cancelled: it then returns 0 and
    // WasCancelled is TRUE.
    int Solve(const CHTDataContainer& grid, int nMaxSolutions = 1);

    // The window that stays live while a long search runs (NULL for none):
    // its PumpMessages is called many times a second, so it should pump
    // only every few milliseconds, and StepProgress once per search node.
    void SetProgress(CHTGeneratorProgress* pProgress) { m_pProgress = pProgress; }
    // TRUE when the last Solve stopped because the progress was cancelled.
    BOOL WasCancelled() const { return m_bCancelled; }

    // The first solution found: 1 for a shaded square, by cell
    // (column * rows + row). Empty before a successful Solve.
    const std::vector<BYTE>& GetSolution() const { return m_solution; }
    // Writes the first solution into the grid's solution states (shaded, or
    // undecided for a square that is not shaded). FALSE when there is none
    // or the grid is not the one solved.
    BOOL ApplySolution(CHTDataContainer& grid) const;

    // Search nodes of the last Solve, for measurements.
    long GetNodeCount() const { return m_nNodes; }

private:
    // Cell states while solving.
    enum { stUnknown = 0, stOpen = 1, stShaded = 2 };

    BOOL Set(int nCell, BYTE nState);
    BOOL Propagate();
    BOOL CheckConnectivity(BOOL& bChanged);
    void UndoTo(size_t nTrail);
    BOOL LivePeers(int nCell) const;
    BOOL Probe(BOOL& bChanged);
    void Search(int nMaxSolutions);
    // Pumps the progress's messages; TRUE once it is cancelled, which ends
    // every step of the search as though it had failed.
    BOOL Interrupted();

    int m_nColumns;
    int m_nRows;
    int m_nCells;
    std::vector<int> m_numbers;
    // Squares of the same column or row with the same number, per cell.
    std::vector<std::vector<int>> m_peers;
    // Side neighbours per cell: count, then up to four cells.
    std::vector<int> m_neighbours;     // 4 per cell, -1 for none
    std::vector<BYTE> m_states;
    std::vector<int> m_trail;          // cells set, in order
    std::vector<int> m_queue;          // cells set and not yet propagated
    size_t m_nQueueHead;
    int m_nFound;
    long m_nNodes;
    std::vector<BYTE> m_solution;
    CHTGeneratorProgress* m_pProgress;
    BOOL m_bCancelled;

    // Work arrays of the connectivity check.
    std::vector<int> m_disc, m_low, m_parent, m_next, m_open, m_stack;
};
