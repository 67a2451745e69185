// Where the display's keyboard goes under Wine with a window manager (only
// there: on Windows and on a display with no window manager nothing here
// runs).
//
// Wine gives a window it manages no keyboard of its own accord: the window
// manager focuses a window and offers the program the keyboard, and Wine
// then gives it to the window the system activates. Two moments leave the
// keyboard where the player cannot use it:
// - When the game's active window closes (a dialog, a message box, a
//   common dialog, a nested one within another), the system activates the
//   window it was opened from (and when a modal window opens, that window),
//   but the window manager at once focuses the window it chooses: one of
//   its own (icewm, whose offer of the keyboard to the game then carries
//   the time of an older event and is refused by the display), or the
//   window it focused before, another program's when the player had left
//   the game and come back to it at a window since closed (openbox).
// - When the window manager enters the game, or passes on within it by its
//   keys, at a window that refuses the activation (a floating toolbar:
//   Alt+Tab lists it under icewm), Wine gives the keyboard to the game's
//   window that had it, which the window manager did not raise and another
//   program may cover.
// So a moment after each, the display's focus and stacking are read once
// (one call of the host's xdotool and xwininfo, under 100 ms): when the
// keyboard is in the window manager's own window, or in the window of the
// program the game was entered from at a window since closed, or in a
// window of the game another program covers, the game's window that is
// active is given it: by the display's focus where the system holds that
// window active, else by the window manager's activation (checked once
// more after it). What the player activates after that stays. Nothing runs
// per message, nor for an activation inside the game other than a modal
// window opening or the active window closing.
#include "wndimpl.h"

#include <algorithm>
#include <string>
#include <vector>

namespace
{
// Per thread: the window to check the keyboard of (hClosed: activated in
// place of the game's active window that closed; hEntered: entered from
// another program), and the top-level window that last refused an
// activation while the game was not in front.
struct KeyboardWatch
{
    HWND hClosed = NULL;
    HWND hEntered = NULL;
    HWND hRefused = NULL;
    DWORD dwRefusedAt = 0;
    UINT_PTR nTimer = 0;   // the check's timer, while it waits
    bool bFollowUp = false;   // the check follows a request to activate
    // The game's window last activated coming from another program (or
    // given the keyboard back since): the window manager's focus before it
    // was that program's.
    HWND hEnteredAt = NULL;
};
thread_local KeyboardWatch t_keys;

// The window manager acts at once; the check comes a moment after, once
// the system and the display are done.
const UINT kCheckDelay = 80;
const UINT kFollowUpDelay = 250;
// An activation from outside this soon after a window refused one is the
// window manager's offer of the keyboard passed on by Wine.
const DWORD kOfferSpan = 100;

bool IsOwnThreadWindow(HWND hWnd)
{
    return hWnd != NULL && ::GetWindowThreadProcessId(hWnd, NULL) == ::GetCurrentThreadId();
}

// This thread's top-level window holding the display window nId, or NULL.
HWND OwnWindowOf(ULONG_PTR nId)
{
    return AfxOwnWindowOfDisplayWindow(nId);
}

// TRUE when another program's window lies above the top-level window at
// nPlace and overlaps it: a window manager's frame holding a client window
// and none of this thread's, and shown. The window manager's own windows
// are not counted: its panels (a client of none) and the menus it keeps
// unmapped at the corner of the screen (fluxbox; the tree lists unmapped
// windows too), which hold no client window. Nor is a minimised program's
// frame, which keeps its place in the tree unmapped: that is asked of the
// display only for a window that would count, seldom more than one.
bool IsCoveredByAnother(const AFX_DISPLAY_TREE& tree, int nPlace)
{
    const RECT& rc = tree.topLevels[nPlace].rc;
    for (int i = 0; i < nPlace; i++)
    {
        const AFX_DISPLAY_TOP_LEVEL& top = tree.topLevels[i];
        RECT rcBoth;
        if (top.rc.right - top.rc.left <= 2 || top.rc.bottom - top.rc.top <= 2 ||
            !::IntersectRect(&rcBoth, &rc, &top.rc) || OwnWindowOf(top.nId) != NULL)
            continue;
        if (std::any_of(top.clients.begin(), top.clients.end(), [&](ULONG_PTR nClient) { return nClient != top.nId; }) &&
            std::none_of(top.clients.begin(), top.clients.end(),
                         [](ULONG_PTR nClient) { return OwnWindowOf(nClient) != NULL; }) &&
            AfxIsDisplayWindowViewable(top.nId))
            return true;
    }
    return false;
}

void ArmCheck(UINT nDelay, bool bFollowUp);

void CALLBACK KeyboardCheckTimerProc(HWND, UINT, UINT_PTR nIDEvent, DWORD)
{
    // A timer procedure: nothing may leave it.
    try
    {
        ::KillTimer(NULL, nIDEvent);
        t_keys.nTimer = 0;
        const bool bFollowUp = t_keys.bFollowUp;
        t_keys.bFollowUp = false;
        const HWND hClosed = t_keys.hClosed, hEntered = t_keys.hEntered;
        t_keys.hClosed = t_keys.hEntered = NULL;
        HWND hWnd = hClosed != NULL ? hClosed : hEntered;
        if (hWnd == NULL || !::IsWindow(hWnd) || !::IsWindowVisible(hWnd) ||
            ::IsIconic(::GetAncestor(hWnd, GA_ROOTOWNER)))
            return;
        AFX_DISPLAY_TREE focus;
        if (!AfxReadDisplayTree(focus, TRUE))
            return;
        const HWND hFocused = OwnWindowOf(focus.nFocus);
        // The window the system made active meanwhile (a dialog opened in
        // between), else the one it activated then.
        const HWND hActive = ::GetActiveWindow();
        HWND hTarget = hActive != NULL && ::IsWindowVisible(hActive) ? hActive : hWnd;
        const bool bForeground = IsOwnThreadWindow(::GetForegroundWindow());
        if (hFocused != NULL)
        {
            // The display's keyboard is in the game's window. After a dialog,
            // another program shown over the game meanwhile stays over it.
            // Entered from outside, or passed on within the game: where the
            // system did not activate the game (the window the window
            // manager focused refused it), or the window holding the keyboard
            // lies under another program's, the window manager is asked to
            // activate the game's window (raising it), upon which Wine does.
            if (hClosed != NULL)
                return;
            if (!bForeground)
            {
                AfxAskWindowManagerToActivate(::GetLastActivePopup(::GetAncestor(hFocused, GA_ROOTOWNER)));
                return;
            }
            const int nPlace = focus.PlaceOf(focus.nFocus);
            if (nPlace >= 0 && IsCoveredByAnother(focus, nPlace))
                AfxAskWindowManagerToActivate(hFocused);
            return;
        }
        else if (hClosed == NULL)
            return;   // entered, then left for another program
        else
        {
            // Another program's window keeps the keyboard, unless the window
            // manager handed it on there because the game was entered from
            // that program at another window than the one now active (a
            // dialog come back to, closed since): the window manager falls
            // back to the window it focused before. The window manager's own
            // window does not keep it, unless the system has since activated
            // another program.
            const int nPlace = focus.PlaceOf(focus.nFocus);
            const bool bClient = nPlace >= 0 && std::find(focus.topLevels[nPlace].clients.begin(),
                                                          focus.topLevels[nPlace].clients.end(),
                                                          focus.nFocus) != focus.topLevels[nPlace].clients.end();
            const HWND hEnteredAt = t_keys.hEnteredAt;
            const bool bHandedOn = hEnteredAt != NULL && hEnteredAt != ::GetAncestor(hTarget, GA_ROOT);
            if ((bClient || !bForeground) && !bHandedOn)
                return;
        }
        t_keys.hEnteredAt = ::GetAncestor(hTarget, GA_ROOT);
        // Where the system holds the game active, only the display's focus
        // is wrong; elsewhere the window manager activates the game's
        // window, upon which Wine does.
        if (bForeground)
            AfxAskDisplayToFocus(hTarget);
        else if (AfxAskWindowManagerToActivate(hTarget) && !bFollowUp)
        {
            // Wine then activates the window, but a window manager that
            // offers the keyboard with the time of an older event (icewm)
            // leaves the display's focus astray: checked once more.
            t_keys.hClosed = ::GetAncestor(hTarget, GA_ROOT);
            ArmCheck(kFollowUpDelay, true);
        }
    }
    catch (CException* e)
    {
        TRACE("handing the keyboard on failed\n");
        e->Delete();
    }
    catch (...)
    {
        TRACE("handing the keyboard on failed\n");
    }
}

void ArmCheck(UINT nDelay, bool bFollowUp)
{
    // One check at a time.
    if (t_keys.nTimer == 0)
        t_keys.nTimer = ::SetTimer(NULL, 0, nDelay, &KeyboardCheckTimerProc);
    t_keys.bFollowUp = bFollowUp;
}
} // namespace

void AFXAPI AfxNoteActivationRefused(HWND hWnd, UINT nHitTest)
{
    if (!AfxWindowManagerStacksWindows() || hWnd == NULL || ::GetAncestor(hWnd, GA_ROOT) != hWnd)
        return;
    if (IsOwnThreadWindow(::GetForegroundWindow()))
    {
        // With the game in front, the window manager's offer of the
        // keyboard at a window its keys chose (icewm's Alt+Tab passing on
        // from a pane it entered the game at to a floating toolbar): Wine
        // leaves the keyboard in the game's active window, which the window
        // manager may not have raised. Wine asks as for a click on the menu
        // bar, which a window refusing the activation (a floating toolbar)
        // does not have: a click on it is not taken for an offer.
        if (nHitTest != HTMENU)
            return;
        t_keys.hEntered = hWnd;
        ArmCheck(kCheckDelay, false);
        return;
    }
    t_keys.hRefused = hWnd;
    t_keys.dwRefusedAt = ::GetTickCount();
    // Where Wine then activates none of the game's windows, the display's
    // keyboard may still have gone to the window that refused (fluxbox).
    t_keys.hEntered = hWnd;
    ArmCheck(kCheckDelay, false);
}

void AFXAPI AfxNoteActivatedUnderWindowManager(HWND hWnd, HWND hWndPrevious)
{
    if (!AfxWindowManagerStacksWindows() || hWnd == NULL || !IsOwnThreadWindow(hWnd))
        return;
    // Entered from outside at the window the game's keyboard was in, in
    // place of the window the window manager offered it to.
    if (hWndPrevious == NULL)
    {
        t_keys.hEnteredAt = ::GetAncestor(hWnd, GA_ROOT);
        if (t_keys.hRefused != NULL && t_keys.hRefused != hWnd &&
            ::GetTickCount() - t_keys.dwRefusedAt <= kOfferSpan)
        {
            t_keys.hEntered = ::GetAncestor(hWnd, GA_ROOT);
            ArmCheck(kCheckDelay, false);
        }
        t_keys.hRefused = NULL;
        return;
    }
    // The game's active window closes (hidden or going), or a modal window
    // opens (its owner disabled), while the game is in front; not the
    // windows a minimised frame hides.
    const HWND hOwner = ::GetWindow(hWnd, GW_OWNER);
    const bool bModalOpens = hOwner != NULL && !::IsWindowEnabled(hOwner) && ::IsWindowVisible(hWndPrevious);
    if (!IsOwnThreadWindow(hWndPrevious) || ::GetAncestor(hWndPrevious, GA_ROOT) != hWndPrevious ||
        (::IsWindowVisible(hWndPrevious) && !bModalOpens) || ::IsIconic(::GetAncestor(hWnd, GA_ROOTOWNER)))
        return;
    const HWND hForeground = ::GetForegroundWindow();
    if (hForeground != hWndPrevious && !IsOwnThreadWindow(hForeground))
        return;
    t_keys.hClosed = ::GetAncestor(hWnd, GA_ROOT);
    ArmCheck(kCheckDelay, false);
}
