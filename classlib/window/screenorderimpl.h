// What the watch of the order of a frame's windows on the screen under Wine
// shares between the case without a window manager (screenorder.cpp) and
// the case with one (screenordermanaged.cpp).
#pragma once

#include "wndimpl.h"

#include <map>
#include <vector>

namespace screenorder
{
// Per thread: how many frames follow the screen's order, the hook that
// watches activation and focus for them, and whether AfxRestackOnScreen is
// moving windows (its own moves are not news).
struct ScreenOrderWatch
{
    HHOOK hHook = NULL;
    int nFrames = 0;
    BOOL bRestacking = FALSE;
    // Without a window manager: the windows of the last restack below the
    // topmost ones, top first, in the order the program has put them in
    // since (see AfxRestoreRestackedOrder).
    std::vector<HWND> restacked;
    // The order of a frame's windows kept while it is restored
    // (AfxKeepOwnedOrder), top first.
    HWND hKeptOwner = NULL;
    DWORD dwKeptSince = 0;
    std::vector<HWND> kept;
    // With a window manager: the restored frame is yet to be given the
    // display's keyboard (see KeptOrderTimerProc).
    BOOL bKeyboardToKeptOwner = FALSE;
    // With a window manager: when a top-level window of the thread was last
    // shown, hidden or destroyed visible.
    DWORD dwShownOrGone = 0;
    // With a window manager: the windows a frame owned that showed when it
    // was minimised (AfxHideOwnedPopupsInOrder), top first, as the window
    // manager stacked them, which its restore puts back.
    HWND hHiddenOwner = NULL;
    std::vector<HWND> hidden;
    // With a window manager: its stacking as last read (this thread's
    // windows, top first), valid while bStackingRead.
    std::vector<HWND> stacking;
    BOOL bStackingRead = FALSE;
    // With a window manager: the timer of the read that follows a change the
    // window manager may have made (ArmStackingFollow), and the frame whose
    // windows changed.
    UINT_PTR nFollowTimer = 0;
    HWND hFollowFrame = NULL;
    // With a window manager: its stacking as last read while the frame of
    // the windows followed showed (top first), which a minimise keeps.
    std::vector<HWND> seen;
    // With a window manager: each shown window of the thread whose mark of
    // its owner the window manager took (Wine wrote it while the owner
    // showed), with that owner (see AfxRenewOwnerMarks).
    std::map<HWND, HWND> marked;
};
extern thread_local ScreenOrderWatch t_watch;

const UINT kOrderOnly = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER;

// The frame whose family a top-level window belongs to: the last window of
// its owner chain, when that is a top-level frame of this thread.
CFrameWnd* FamilyFrame(HWND hWndTop);
// The program moved hWnd in the order (after hInsertAfter, or to the top or
// bottom): the order of the last restack follows.
void NoteMovedInOrder(HWND hWnd, HWND hInsertAfter);
// The windows that order holds take its order among themselves, in the
// places they hold among the others.
void TakeOrderOf(std::vector<HWND>& windows, const std::vector<HWND>& order);
// Moves a window to the top of the order (of the topmost windows when
// bTopmost) so that its place really changes.
void MoveFirst(HWND hWnd, BOOL bTopmost);

// With a window manager (screenordermanaged.cpp):
// the thread's WH_CBT hook saw nCode for hWnd (activation, focus, creation,
// destruction, sizing);
void NoteManagedHook(int nCode, HWND hWnd, LPARAM lParam);
// a top-level window of the library was moved, shown or hidden;
void NoteManagedWindowPos(HWND hWnd, const WINDOWPOS* pPos);
// the windows given (top first) are to be raised on the screen in that order;
int RestackManaged(const std::vector<HWND>& above);
// the display's stacking is read and the system's order follows it: -1 when
// it cannot be read, 1 when the order was mended, else 0;
int SyncOrderWithWindowManager();
// a window of the thread was activated, deactivated or pressed on, upon which
// the window manager may have restacked hWnd's family: a moment later, while
// its frame shows, the display's stacking is read and kept (seen).
void ArmStackingFollow(HWND hWnd);
} // namespace screenorder
