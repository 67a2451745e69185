// The puzzle generator: picks a random shading that keeps the adjacency and
// connectivity rules, then numbers the squares so that the shading is the
// puzzle's solution.
#pragma once

#include "HTDataContainer.h"

// What the generator needs of the window that shows its progress: the
// player's cancel request, a step of the progress bar after every try, and a
// pass of the message pump so the window stays live.
class CHTGeneratorProgress
{
public:
    virtual ~CHTGeneratorProgress() {}
    // TRUE once the player has asked to cancel.
    virtual BOOL IsCancelled() const = 0;
    // Advances the progress bar by one step.
    virtual void StepProgress() = 0;
    // Dispatches waiting messages and runs idle work.
    virtual void PumpMessages() = 0;
};

class CHTGenerator
{
public:
    CHTGenerator();
    virtual ~CHTGenerator();

    // Makes a puzzle of columns x rows in the container: the solution in the
    // solution states, a number in every square. FALSE when the run was
    // cancelled (also when the cancel flag is already set at the start) or
    // the numbering found no free number; the caller then discards the
    // container or runs again. The progress may be NULL.
    BOOL Generate(CHTGeneratorProgress* pProgress, int nColumns, int nRows, CHTDataContainer* pContainer);

    // TRUE when some number 1..max(columns, rows) is used by no square of
    // the square's column and row whose solution state is 0.
    BOOL HasFreeNumber(const CHTDataContainer& container, int nColumn, int nRow) const;
    // TRUE when a square of the row (column) has solution state 0 and this number.
    BOOL IsNumberUsedInRow(const CHTDataContainer& container, int nNumber, int nRow) const;
    BOOL IsNumberUsedInColumn(const CHTDataContainer& container, int nNumber, int nColumn) const;
    // Sets pFlags[n] for every number n present in the square's row and
    // column (the square itself included). A filter of -1 takes every
    // square; any other value only squares whose solution state equals it.
    // pFlags holds max(columns, rows) + 1 entries.
    void CollectNumbers(const CHTDataContainer& container, int nColumn, int nRow, BYTE* pFlags, int nFilter) const;

    // The generator draws from one random sequence per process, seeded on
    // first use from a fine-grained clock. Seeding it explicitly makes the
    // following runs repeatable (tests, measurements).
    static void AFXAPI SeedRandom(unsigned int nSeed);
    // Next number of the sequence, 0..32767.
    static int AFXAPI Random();
};
