// The current puzzle position and the saved positions behind Undo, Branch,
// Accept and Revert.
#pragma once

#include "HTDataContainer.h"

#include <afxtempl.h>

// Saved positions live in memory only; they are never archived.
template <>
void AFXAPI SerializeElements<CHTDataContainer>(CArchive& ar, CHTDataContainer* pElements, INT_PTR nCount);

// Saved positions, oldest at the head.
typedef CList<CHTDataContainer, const CHTDataContainer&> CHTDataContainerList;

class CHTDataController
{
public:
    // No saved positions, no branch; the current position is a 9 x 9 grid
    // in the colours of the built-in "Standard" profile.
    CHTDataController();
    virtual ~CHTDataController();

    // Appends a copy of the current position. Returns TRUE.
    BOOL SaveState();
    // Restores the newest saved position and removes it; undoing past the
    // branch point closes the branch. FALSE, with nothing changed, when no
    // position is saved.
    BOOL Undo();
    // Drops every position saved since the branch began and restores the
    // branch point's position. FALSE, with nothing changed, when no branch
    // is open.
    BOOL RevertToBranchPoint();
    // Saves the current position and makes it the branch point (moving the
    // branch point when one is open).
    void Branch();
    // While a branch is open: forgets every saved position and closes it.
    void Accept();

    BOOL IsBranchOpen() const { return m_posBranchPoint != NULL; }
    // Empties the saved positions and closes any branch (a new, loaded or
    // blank puzzle replaces the current position).
    void ClearSavedStates();

public:
    POSITION m_posBranchPoint;              // node of the branch point, or NULL
    CHTDataContainerList m_listSavedStates;
    CHTDataContainer m_CurrentState;

private:
    CHTDataController(const CHTDataController&);
    CHTDataController& operator=(const CHTDataController&);
};
