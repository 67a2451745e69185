// The order of a frame's windows on the screen under Wine on a desktop with
// a window manager (a player's own desktop; Wine's "Managed" setting, its
// default). Runs only there: not on Windows, where the system keeps owned
// windows in front of their owner, nor on a display without a window
// manager (screenorder.cpp), and it shares the watch's state with that case
// (screenorderimpl.h).
//
// The window manager stacks the windows there, and the program does what a
// plain Wine program does, plus keeping and storing the order: the window
// manager keeps the windows that are transient for a window (Wine marks an
// owned window so) above it and raises them with it, and raises or lowers
// them by its own keys, a click (also on a window a modal dialog disables)
// or a taskbar, telling Wine nothing of it. So the program asks for no
// raise on a click or an activation; where it needs the order (stored at
// exit, kept at a minimise) it reads the display's own stacking
// (windowmanager.cpp) and makes Wine's order follow it; the order kept at
// a minimise is the one read a moment after a window of the game was last
// activated, deactivated (a lower among other things) or pressed on, while
// its frame showed. Only where that
// cannot be read (no host program to read it with, or one that never
// answers in time) is the order inferred from what the program sees and
// asked for as before (the order of the last restack, a click raising the
// window clicked, a click under a modal dialog, an activation that shows
// Wine's order moved by the display's reports). Floating toolbars stay
// shown while another program is in front: hidden and shown again, each
// would be mapped on top.
// The window manager takes a window as transient only if it knows the owner
// when it reads the mark, so a window mapped before its frame (floating
// windows restored at start-up) or given its owner after it was mapped (a
// toolbar torn off) would be left below the frame. So the frame has Wine
// write the mark again of each window whose mark the window manager did not
// take, once (written again, some window managers restack the windows
// transient for the frame); it asks for a raise only once after it is
// shown (the windows mapped before it lie below it then), and only while
// the game is in front. When the frame is minimised, the windows it owns
// are hidden keeping the order the display last showed with the frame
// shown (once the window manager has minimised the frame, icewm restacks
// them); the frame's restore shows them again bottom up in that order,
// each mapped on top, as a plain Wine program's windows come back, and
// nothing is restacked after: a moment later the order the display shows
// is followed, and the keyboard, which the window manager may have left in
// a window of its own or in a floating window it mapped, is given to the
// frame the player restored. A floating toolbar never shows itself on the
// frame's activation there (it would be mapped over the others). Where the
// keyboard goes when a dialog of the game closes or the game is entered
// from another program is followed in windowmanagerfocus.cpp.
#include "screenorderimpl.h"

#include <algorithm>
#include <string>

namespace screenorder
{
// A frame restored from its icon under a window manager follows the
// display's order (where it can be read; else puts back the order it kept,
// AfxKeepOwnedOrder) for a while, each time a while after a window of it is
// shown again.
const UINT_PTR kKeptOrderTimer = 0xE7F1;
const UINT kKeptOrderDelay = 300;
const DWORD kKeptOrderSpan = 3000;

// With a window manager: the system's order of this thread's windows that
// the window manager stacks is made its stacking, which it reports (its
// raises and lowers, by its keys, a click or a taskbar, are told Wine
// nowhere else). Each goes right below the one above it: none becomes the
// first window, so nothing is asked of the display. The windows of the last
// restack follow, so that no older order is put back where the stacking
// cannot be read later. Follows the stacking as last read (t_watch.stacking).
// Returns 1 when the order was mended, else 0.
int FollowWindowManagerStacking()
{
    const std::vector<HWND>& stacking = t_watch.stacking;
    std::vector<HWND> now;
    for (HWND hWnd : AfxGetTopLevelWindows())
        if (std::find(stacking.begin(), stacking.end(), hWnd) != stacking.end())
            now.push_back(hWnd);
    std::vector<HWND>& restacked = t_watch.restacked;
    std::vector<HWND> followed;
    for (HWND hWnd : stacking)
        if (std::find(restacked.begin(), restacked.end(), hWnd) != restacked.end())
            followed.push_back(hWnd);
    for (HWND hWnd : restacked)
        if (std::find(followed.begin(), followed.end(), hWnd) == followed.end())
            followed.push_back(hWnd);   // hidden: its place is kept
    restacked = followed;
    if (now == stacking)
        return 0;
    const BOOL bWasRestacking = t_watch.bRestacking;
    t_watch.bRestacking = TRUE;
    for (size_t i = 1; i < stacking.size(); i++)
        ::SetWindowPos(stacking[i], stacking[i - 1], 0, 0, 0, 0, kOrderOnly);
    t_watch.bRestacking = bWasRestacking;
    return 1;
}

// Reads the window manager's stacking and follows it. Returns -1 when it
// cannot be read, else as FollowWindowManagerStacking.
int SyncOrderWithWindowManager()
{
    t_watch.bStackingRead = AfxReadScreenStacking(t_watch.stacking);
    return t_watch.bStackingRead ? FollowWindowManagerStacking() : -1;
}

// The display is read a moment after the window manager acted, once the
// system has taken the display's news (a minimise among them), and the
// order it shows is kept for a minimise; nothing is moved.
const UINT kFollowDelay = 200;

void CALLBACK StackingFollowTimerProc(HWND, UINT, UINT_PTR nIDEvent, DWORD)
{
    ::KillTimer(NULL, nIDEvent);
    t_watch.nFollowTimer = 0;
    const HWND hFrame = t_watch.hFollowFrame;
    t_watch.hFollowFrame = NULL;
    // A timer procedure: nothing may leave it.
    try
    {
        MSG msg;
        ::PeekMessage(&msg, NULL, 0, 0, PM_NOREMOVE | PM_NOYIELD);
        // A frame the window manager has minimised meanwhile: its windows
        // are no longer stacked as the player saw them (icewm restacks the
        // windows of a minimised frame), and the system's order keeps what
        // was seen last.
        if (hFrame == NULL || !::IsWindow(hFrame) || !::IsWindowVisible(hFrame) || ::IsIconic(hFrame))
            return;
        std::vector<HWND> stacking;
        if (AfxReadScreenStacking(stacking))
            t_watch.seen = stacking;
    }
    catch (CException* e)
    {
        TRACE("following the window manager's stacking failed\n");
        e->Delete();
    }
    catch (...)
    {
        TRACE("following the window manager's stacking failed\n");
    }
}

void ArmStackingFollow(HWND hWnd)
{
    if (!AfxWindowManagerStacksWindows() || hWnd == NULL || !AfxIsScreenStackingReadable())
        return;
    HWND hFrame = ::GetAncestor(hWnd, GA_ROOTOWNER);
    if (hFrame == NULL || ::GetWindowThreadProcessId(hFrame, NULL) != ::GetCurrentThreadId())
        return;
    t_watch.hFollowFrame = hFrame;
    if (t_watch.nFollowTimer == 0)
        t_watch.nFollowTimer = ::SetTimer(NULL, 0, kFollowDelay, &StackingFollowTimerProc);
}

// With a window manager: a window of the restacked order is about to be
// activated. When the window manager activates it, it may raise it too (its
// keys switching windows, a taskbar) or not (the focus handed on as a window
// closes), and tells Wine only of the activation; but a raise uncovers parts
// of the window, which the display reports, upon which Wine moves it above
// the windows there (seen done by the time the activation comes). So a
// window that the system's order already has above each window of the
// restacked order that overlaps it and lies above it there (one at least)
// was raised: the order the watch keeps follows. Not so right after a
// window was shown or went (a dialog closed, the frame restored): the window
// manager then hands the focus on, or focuses a window mapped, and Wine moves
// the windows a window mapped or gone showed parts of; nor while the order of
// a restored frame is put back.
const DWORD kShownOrGoneSpan = 700;

void NoteActivatedByWindowManager(HWND hWnd)
{
    const DWORD dwNow = ::GetTickCount();
    if (dwNow - t_watch.dwShownOrGone < kShownOrGoneSpan ||
        (t_watch.hKeptOwner != NULL && dwNow - t_watch.dwKeptSince <= kKeptOrderSpan))
        return;
    const std::vector<HWND>& restacked = t_watch.restacked;
    auto it = std::find(restacked.begin(), restacked.end(), hWnd);
    if (it == restacked.end() || !::IsWindowVisible(hWnd))
        return;
    RECT rc;
    if (!::GetWindowRect(hWnd, &rc))
        return;
    bool bRaised = false;
    for (auto itAbove = restacked.begin(); itAbove != it; ++itAbove)
    {
        RECT rcAbove, rcBoth;
        if (!::IsWindowVisible(*itAbove) || !::GetWindowRect(*itAbove, &rcAbove) ||
            !::IntersectRect(&rcBoth, &rc, &rcAbove))
            continue;
        // Still above it in the system's order: not raised.
        for (HWND hPrev = ::GetWindow(hWnd, GW_HWNDPREV); hPrev != NULL; hPrev = ::GetWindow(hPrev, GW_HWNDPREV))
            if (hPrev == *itAbove)
                return;
        bRaised = true;
    }
    if (bRaised)
        NoteMovedInOrder(hWnd, HWND_TOP);
}

// A frame restored from its icon under a window manager: a while after each
// of its windows is shown again (each is mapped over the others, a floating
// toolbar a moment after the rest), the visible ones are put back in the
// order kept (in the system's order only) and raised so, while the frame or
// one of them is the active window of its thread (the display's news read
// first: another program activated meanwhile takes that from it).

void CALLBACK KeptOrderTimerProc(HWND hWnd, UINT, UINT_PTR nIDEvent, DWORD)
{
    // A timer procedure: nothing may leave it.
    try
    {
        ::KillTimer(hWnd, nIDEvent);
        if (t_watch.hKeptOwner != hWnd)
            return;
        if (::GetTickCount() - t_watch.dwKeptSince > kKeptOrderSpan)
        {
            t_watch.hKeptOwner = NULL;
            t_watch.kept.clear();
            return;
        }
        MSG msg;
        ::PeekMessage(&msg, NULL, 0, 0, PM_NOREMOVE | PM_NOYIELD);
        // Where the window manager reports its stacking, it stacked them as
        // they were mapped (bottom up, each on top), or as the player moved
        // them since: the system's order follows it, and nothing older is
        // put back.
        t_watch.bStackingRead = AfxReadScreenStacking(t_watch.stacking);
        if (t_watch.bStackingRead)
            FollowWindowManagerStacking();
        // The player restored the frame (a taskbar, Alt+Tab, another program
        // activating it), and the window manager focuses a window of its
        // own (icewm) or each floating window as it is mapped (fluxbox):
        // once the windows are shown, the keyboard is given to the frame,
        // while the game is in front and nothing was pressed since.
        if (t_watch.bKeyboardToKeptOwner)
        {
            t_watch.bKeyboardToKeptOwner = FALSE;
            const HWND hForeground = ::GetForegroundWindow();
            if (hForeground == NULL || ::GetAncestor(hForeground, GA_ROOTOWNER) == hWnd)
            {
                // A frame a modal dialog disables: the keyboard is the
                // dialog's (the window the frame last activated).
                const HWND hTarget = ::IsWindowEnabled(hWnd) ? hWnd : ::GetLastActivePopup(hWnd);
                HWND hActive = ::GetActiveWindow();
                if (hTarget != NULL && ::IsWindowEnabled(hTarget))
                {
                    if (hActive != hTarget && ::GetWindow(hActive, GW_OWNER) == hWnd)
                        ::SetActiveWindow(hTarget);
                    AfxAskDisplayToFocus(hTarget);
                }
            }
        }
        if (t_watch.bStackingRead)
            return;
        std::vector<HWND> kept;
        for (HWND hKept : t_watch.kept)
            if (::IsWindow(hKept) && ::IsWindowVisible(hKept) && ::GetWindow(hKept, GW_OWNER) == hWnd)
                kept.push_back(hKept);
        // Each right below the one above it: nothing is asked of the display.
        t_watch.bRestacking = TRUE;
        for (size_t i = 1; i < kept.size(); i++)
            ::SetWindowPos(kept[i], kept[i - 1], 0, 0, 0, 0, kOrderOnly);
        t_watch.bRestacking = FALSE;
        CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, CWnd::FromHandlePermanent(hWnd));
        if (pFrame != NULL)
            pFrame->RaiseOwnedWindows(TRUE);
    }
    catch (CException* e)
    {
        TRACE("restoring the order of the owned windows failed\n");
        e->Delete();
    }
    catch (...)
    {
        TRACE("restoring the order of the owned windows failed\n");
    }
}

void NoteManagedHook(int nCode, HWND hWnd, LPARAM lParam)
{
    if (nCode == HCBT_DESTROYWND && ::IsWindowVisible(hWnd) && ::GetAncestor(hWnd, GA_ROOT) == hWnd)
        t_watch.dwShownOrGone = ::GetTickCount();
    else if (nCode == HCBT_ACTIVATE && !t_watch.bRestacking)
    {
        const CBTACTIVATESTRUCT* pActivate = (const CBTACTIVATESTRUCT*)lParam;
        AfxNoteActivatedUnderWindowManager(hWnd, pActivate != NULL ? pActivate->hWndActive : NULL);
        NoteActivatedByWindowManager(hWnd);
        ArmStackingFollow(hWnd);
    }
}

void NoteManagedWindowPos(HWND hWnd, const WINDOWPOS* pPos)
{
    // A window of a restored frame shown again: its order is followed (or
    // put back) a while later; the while runs from the last window shown
    // (fluxbox maps each only after two seconds).
    if ((pPos->flags & SWP_SHOWWINDOW) != 0 && t_watch.hKeptOwner != NULL &&
        ::GetWindow(hWnd, GW_OWNER) == t_watch.hKeptOwner)
    {
        t_watch.dwKeptSince = ::GetTickCount();
        ::SetTimer(t_watch.hKeptOwner, kKeptOrderTimer, kKeptOrderDelay, &KeptOrderTimerProc);
    }
    if ((pPos->flags & (SWP_HIDEWINDOW | SWP_SHOWWINDOW)) == 0 || (::GetWindowLongPtr(hWnd, GWL_STYLE) & WS_CHILD) != 0)
        return;
    t_watch.dwShownOrGone = ::GetTickCount();
    // Mapped: Wine writes the mark of its owner, which the window manager
    // takes only while the owner shows.
    HWND hOwner = ::GetWindow(hWnd, GW_OWNER);
    if ((pPos->flags & SWP_SHOWWINDOW) != 0 && hOwner != NULL && ::IsWindowVisible(hOwner))
        t_watch.marked[hWnd] = hOwner;
    else if ((pPos->flags & SWP_SHOWWINDOW) != 0)
        t_watch.marked.erase(hWnd);
}

int RestackManaged(const std::vector<HWND>& above)
{
    // The display stacks only what Wine asks for: each window, bottom up,
    // asks to be raised (it does when it is first).
    t_watch.bRestacking = TRUE;
    t_watch.restacked.clear();
    for (auto it = above.rbegin(); it != above.rend(); ++it)
    {
        const bool bTopmost = (::GetWindowLongPtr(*it, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
        MoveFirst(*it, bTopmost);
        if (!bTopmost)
            t_watch.restacked.insert(t_watch.restacked.begin(), *it);
    }
    t_watch.bRestacking = FALSE;
    return (int)above.size();
}
} // namespace screenorder

using namespace screenorder;

void AFXAPI AfxNoteStackingMayHaveChanged(HWND hWnd)
{
    ArmStackingFollow(hWnd);
}

void AFXAPI AfxRenewOwnerMarks(HWND hWndOwner)
{
    if (hWndOwner == NULL || !AfxWindowManagerStacksWindows())
        return;
    std::vector<HWND> owned;
    const DWORD dwThread = ::GetCurrentThreadId();
    for (HWND hWnd : AfxGetTopLevelWindows())
    {
        if (hWnd == hWndOwner || !::IsWindowVisible(hWnd) || ::GetWindowThreadProcessId(hWnd, NULL) != dwThread)
            continue;
        HWND hOwner = ::GetWindow(hWnd, GW_OWNER);
        for (int n = 0; n < 32 && hOwner != NULL && hOwner != hWndOwner; n++)
            hOwner = ::GetWindow(hOwner, GW_OWNER);
        if (hOwner == hWndOwner)
            owned.push_back(hWnd);
    }
    // A frame change has Wine write the window's hints again, the mark of
    // its owner among them; nothing moves. Only for a window whose mark the
    // window manager did not take, once: a mark written again, some window
    // managers restack the windows transient for the owner. Written in the
    // order that keeps the screen's (AfxOrderForOwnerMarks).
    std::map<HWND, HWND>& marked = t_watch.marked;
    for (auto it = marked.begin(); it != marked.end();)
        it = ::IsWindow(it->first) ? std::next(it) : marked.erase(it);
    owned.erase(std::remove_if(owned.begin(), owned.end(),
                               [&](HWND hWnd) {
                                   auto it = marked.find(hWnd);
                                   return it != marked.end() && it->second == ::GetWindow(hWnd, GW_OWNER);
                               }),
                owned.end());
    if (owned.empty())
        return;
    owned = AfxOrderForOwnerMarks(hWndOwner, owned);
    const BOOL bWasRestacking = t_watch.bRestacking;
    t_watch.bRestacking = TRUE;
    for (HWND hWnd : owned)
    {
        marked[hWnd] = ::GetWindow(hWnd, GW_OWNER);
        ::SetWindowPos(hWnd, NULL, 0, 0, 0, 0, kOrderOnly | SWP_NOZORDER | SWP_FRAMECHANGED);
    }
    t_watch.bRestacking = bWasRestacking;
}

std::vector<HWND> AFXAPI AfxOrderForOwnerMarks(HWND hWndOwner, const std::vector<HWND>& windows)
{
    // Only two shown windows or more have an order to keep: the display is
    // read only then.
    if (!AfxWindowManagerStacksWindows() ||
        std::count_if(windows.begin(), windows.end(), [&](HWND hWnd) {
            return ::IsWindowVisible(hWnd) && ::GetWindow(hWnd, GW_OWNER) == hWndOwner;
        }) < 2)
        return windows;
    std::vector<HWND> ordered;
    const std::vector<HWND> stacked = AfxGetOwnedWindowsInScreenOrder(hWndOwner);
    for (auto it = stacked.rbegin(); it != stacked.rend(); ++it)
        if (std::find(windows.begin(), windows.end(), *it) != windows.end())
            ordered.push_back(*it);
    for (HWND hWnd : windows)
        if (std::find(ordered.begin(), ordered.end(), hWnd) == ordered.end())
            ordered.push_back(hWnd);
    return ordered;
}

void AFXAPI AfxHideOwnedPopupsInOrder(HWND hWndOwner)
{
    // The windows it owns directly (not topmost), top first, as the screen
    // stacked them, hidden ones too (a toolbar the player hid keeps its
    // place). Where the display's stacking can be read, the system's order
    // has followed it after each change the window manager may have made
    // while the frame showed; read now, it may show what the window manager
    // made of the windows as it minimised the frame (icewm restacks them).
    std::vector<HWND> owned;
    std::vector<HWND> inOrder;
    if (!t_watch.seen.empty() && AfxIsScreenStackingReadable())
    {
        // The ones seen take the order seen, in the places they hold among
        // the others in the system's order.
        for (HWND hWnd : AfxGetTopLevelWindows())
            if (::GetWindow(hWnd, GW_OWNER) == hWndOwner)
                inOrder.push_back(hWnd);
        TakeOrderOf(inOrder, t_watch.seen);
    }
    else
        inOrder = AfxGetOwnedWindowsInScreenOrder(hWndOwner);
    for (HWND hWnd : inOrder)
        if ((::GetWindowLongPtr(hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST) == 0)
            owned.push_back(hWnd);
    // Each window the system hides for its owner goes to the top of the
    // order, over the ones hidden before; the order to keep is the one
    // before (none of these moves is the program's own).
    // Asked again once they are hidden (the system's minimise after the
    // window manager's), the order recorded first stays.
    std::vector<HWND> shown;
    for (HWND hWnd : owned)
        if (::IsWindowVisible(hWnd))
            shown.push_back(hWnd);
    if (AfxWindowManagerStacksWindows() && (!shown.empty() || t_watch.hHiddenOwner != hWndOwner))
    {
        t_watch.hHiddenOwner = hWndOwner;
        t_watch.hidden = shown;
    }
    const BOOL bWasRestacking = t_watch.bRestacking;
    t_watch.bRestacking = TRUE;
    ::ShowOwnedPopups(hWndOwner, FALSE);
    owned.erase(std::remove_if(owned.begin(), owned.end(), [](HWND hWnd) { return !::IsWindow(hWnd); }),
                owned.end());
    std::vector<HWND> now;
    for (HWND hWnd : AfxGetTopLevelWindows())
        if (std::find(owned.begin(), owned.end(), hWnd) != owned.end())
            now.push_back(hWnd);
    // Each right below the one above it; none of them shows, so nothing is
    // asked of the display.
    if (now != owned)
        for (size_t i = 1; i < owned.size(); i++)
            ::SetWindowPos(owned[i], owned[i - 1], 0, 0, 0, 0, kOrderOnly);
    t_watch.bRestacking = bWasRestacking;
}

void AFXAPI AfxKeepOwnedOrder(HWND hWndOwner)
{
    if (hWndOwner == NULL)
        return;
    // Asked again while the order is kept (a floating toolbar shows itself
    // after the others): the order read first stays, the windows shown
    // since may have been moved in the order on the display's reports.
    if (t_watch.hKeptOwner == hWndOwner && ::GetTickCount() - t_watch.dwKeptSince <= kKeptOrderSpan)
    {
        ::SetTimer(hWndOwner, kKeptOrderTimer, kKeptOrderDelay, &KeptOrderTimerProc);
        return;
    }
    // The order as the display showed it before the frame was minimised or
    // deactivated.
    t_watch.hKeptOwner = hWndOwner;
    t_watch.dwKeptSince = ::GetTickCount();
    t_watch.bKeyboardToKeptOwner = TRUE;
    t_watch.kept.clear();
    for (HWND hWnd : AfxGetOwnedWindowsInScreenOrder(hWndOwner))
        if ((::GetWindowLongPtr(hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST) == 0)
            t_watch.kept.push_back(hWnd);
    // Restored from its icon: the order the window manager stacked them in
    // when the frame was minimised, whatever the system made of the order
    // of the hidden windows meanwhile.
    if (t_watch.hHiddenOwner == hWndOwner && AfxWindowManagerStacksWindows())
    {
        std::vector<HWND> kept;
        for (HWND hWnd : t_watch.hidden)
            if (std::find(t_watch.kept.begin(), t_watch.kept.end(), hWnd) != t_watch.kept.end())
                kept.push_back(hWnd);
        for (HWND hWnd : t_watch.kept)
            if (std::find(kept.begin(), kept.end(), hWnd) == kept.end())
                kept.push_back(hWnd);
        t_watch.kept = kept;
    }
    ::SetTimer(hWndOwner, kKeptOrderTimer, kKeptOrderDelay, &KeptOrderTimerProc);
}

void AFXAPI AfxShowOwnedPopupsInOrder(HWND hWndOwner)
{
    // A window mapped goes to the top of its layer: shown bottom up, they
    // come in the order they had. Each is told as ShowOwnedPopups tells it,
    // so that only a window the system hid for its owner shows again; any
    // not recorded follow.
    if (t_watch.hHiddenOwner == hWndOwner)
    {
        const std::vector<HWND> hidden = t_watch.hidden;
        t_watch.hHiddenOwner = NULL;
        t_watch.hidden.clear();
        for (auto it = hidden.rbegin(); it != hidden.rend(); ++it)
            if (::IsWindow(*it) && !::IsWindowVisible(*it) && ::GetWindow(*it, GW_OWNER) == hWndOwner)
                ::SendMessage(*it, WM_SHOWWINDOW, TRUE, SW_PARENTOPENING);
    }
    ::ShowOwnedPopups(hWndOwner, TRUE);
}
