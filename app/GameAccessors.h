// What every window of the game reaches the game through: the active
// document and view of the main window, the puzzle the document holds, and
// giving the main window back to the player after a modal progress window.
#pragma once

#include <afxwin.h>

class CHTDataContainer;

// Implemented by the game's document beside CDocument, so that dialogs can
// reach the current puzzle without knowing the document's class.
class CHTPuzzleSource
{
public:
    virtual ~CHTPuzzleSource() {}
    // The puzzle now played (never null while the document lives).
    virtual CHTDataContainer* GetCurrentPuzzle() = 0;
};

// The active view / document of the thread's main window; null when there
// is no main window (during start-up) or it is not a frame.
CView* AFXAPI GetActiveGameView();
CDocument* AFXAPI GetActiveGameDoc();
// The current puzzle of the active document; null without one.
CHTDataContainer* AFXAPI GetActiveGamePuzzle();

// Enables, shows and focuses the thread's main window; nothing without one.
void AFXAPI RestoreMainWindow();
