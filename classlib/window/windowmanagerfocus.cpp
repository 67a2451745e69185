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
// - When the window manager enters the game at a window that refuses the
//   activation (a floating toolbar: Alt+Tab lists it under icewm), Wine
//   gives the keyboard to the game's window that had it, which the window
//   manager did not raise and another program may cover.
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
#include <cstdlib>
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
// A read of the display never holds the game longer.
const DWORD kReadLimit = 100;

bool IsOwnThreadWindow(HWND hWnd)
{
    return hWnd != NULL && ::GetWindowThreadProcessId(hWnd, NULL) == ::GetCurrentThreadId();
}

unsigned long DisplayWindowOf(HWND hWnd)
{
    return (unsigned long)(ULONG_PTR)::GetPropA(hWnd, "__wine_x11_whole_window");
}

// A top-level window of the display (a window manager's frame, or a window
// it does not manage) with the client windows it holds.
struct DisplayTopLevel
{
    unsigned long nId = 0;
    RECT rc = {};
    std::vector<unsigned long> clients;
};

// The display's input focus and its top-level windows, top first.
struct DisplayFocus
{
    unsigned long nFocus = 0;
    std::vector<DisplayTopLevel> stacking;

    // The place in the stacking of the top-level window holding nId, or -1.
    int PlaceOf(unsigned long nId) const
    {
        for (size_t i = 0; i < stacking.size() && nId != 0; i++)
            if (stacking[i].nId == nId ||
                std::find(stacking[i].clients.begin(), stacking[i].clients.end(), nId) != stacking[i].clients.end())
                return (int)i;
        return -1;
    }
};

// "WxH+X+Y" (xwininfo writes a negative place as "+-1").
bool ParseGeometry(const char* psz, RECT& rc)
{
    char* pszEnd = NULL;
    const long cx = strtol(psz, &pszEnd, 10);
    if (*pszEnd != 'x')
        return false;
    const long cy = strtol(pszEnd + 1, &pszEnd, 10);
    long xy[2] = {};
    for (long& n : xy)
    {
        if (*pszEnd != '+' && *pszEnd != '-')
            return false;
        const bool bMinus = *pszEnd == '-';
        n = strtol(pszEnd + 1, &pszEnd, 10);
        if (bMinus)
            n = -n;
    }
    rc = {xy[0], xy[1], xy[0] + cx, xy[1] + cy};
    return true;
}

// Reads the display's focus and stacking in one call of the host: the
// focus (xdotool, a decimal number), then each top-level window of the
// root ("R0x... WxH+X+Y") and each client window inside it ("C0x..."),
// top first, on one line. FALSE when it cannot be read in time.
bool ReadDisplayFocus(DisplayFocus& focus)
{
    static const char kCommand[] =
        "{ xdotool getwindowfocus; xwininfo -root -tree | sed -n"
        " -e 's/^     \\(0x[0-9a-f]*\\) .* \\([0-9]*x[0-9]*[-+][-+0-9]*\\)  [-+0-9]*$/R\\1 \\2/p'"
        " -e 's/^ *\\(0x[0-9a-f]*\\) .*: ([^)].*$/C\\1/p'; } 2>/dev/null | tr '\\n' ' '";
    std::string strLine;
    if (!AfxRunHostCommandForLine(kCommand, strLine, kReadLimit))
        return false;
    const char* psz = strLine.c_str();
    char* pszEnd = NULL;
    focus.nFocus = strtoul(psz, &pszEnd, 10);
    if (pszEnd == psz)
        return false;
    psz = pszEnd;
    while (*psz != 0)
    {
        while (*psz == ' ')
            psz++;
        if (*psz != 'R' && *psz != 'C')
            break;
        const bool bTop = *psz == 'R';
        const unsigned long nId = strtoul(psz + 1, &pszEnd, 16);
        psz = pszEnd;
        if (bTop)
        {
            DisplayTopLevel top;
            top.nId = nId;
            while (*psz == ' ')
                psz++;
            if (!ParseGeometry(psz, top.rc))
                return false;
            while (*psz != ' ' && *psz != 0)
                psz++;
            focus.stacking.push_back(top);
        }
        else if (!focus.stacking.empty())
            focus.stacking.back().clients.push_back(nId);
    }
    // xwininfo lists the root's children top first.
    return !focus.stacking.empty();
}

// The place of this thread's top-level window holding the display window
// nId, or NULL.
HWND OwnWindowOf(unsigned long nId)
{
    if (nId == 0)
        return NULL;
    for (HWND hWnd : AfxGetTopLevelWindows())
        if (DisplayWindowOf(hWnd) == nId && IsOwnThreadWindow(hWnd))
            return hWnd;
    return NULL;
}

// TRUE when a top-level window of the display that holds none of this
// thread's windows lies above the one at nPlace and overlaps it.
bool IsCoveredByAnother(const DisplayFocus& focus, int nPlace)
{
    const RECT& rc = focus.stacking[nPlace].rc;
    for (int i = 0; i < nPlace; i++)
    {
        const DisplayTopLevel& top = focus.stacking[i];
        RECT rcBoth;
        if (top.rc.right - top.rc.left <= 2 || top.rc.bottom - top.rc.top <= 2 ||
            !::IntersectRect(&rcBoth, &rc, &top.rc) || OwnWindowOf(top.nId) != NULL)
            continue;
        if (std::none_of(top.clients.begin(), top.clients.end(),
                         [](unsigned long nClient) { return OwnWindowOf(nClient) != NULL; }))
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
        DisplayFocus focus;
        if (!ReadDisplayFocus(focus))
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
            // Entered from outside: where the system did not activate the
            // game (the window the window manager focused refused it), the
            // window manager is asked to activate the game's window, upon
            // which Wine does; the window must lie where the player sees it.
            if (hClosed != NULL)
                return;
            if (!bForeground)
            {
                AfxAskWindowManagerToActivate(::GetLastActivePopup(::GetAncestor(hFocused, GA_ROOTOWNER)));
                return;
            }
            const int nPlace = focus.PlaceOf(focus.nFocus);
            if (nPlace >= 0 && IsCoveredByAnother(focus, nPlace))
                AfxAskDisplayToFocus(hFocused, TRUE);
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
            const bool bClient = nPlace >= 0 && std::find(focus.stacking[nPlace].clients.begin(),
                                                          focus.stacking[nPlace].clients.end(),
                                                          focus.nFocus) != focus.stacking[nPlace].clients.end();
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
            AfxAskDisplayToFocus(hTarget, FALSE);
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

void AFXAPI AfxNoteActivationRefused(HWND hWnd)
{
    if (!AfxWindowManagerStacksWindows() || hWnd == NULL || ::GetAncestor(hWnd, GA_ROOT) != hWnd ||
        IsOwnThreadWindow(::GetForegroundWindow()))
        return;
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
