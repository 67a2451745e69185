// The order of a frame's windows on the screen under Wine, and what the
// watch of that order shares with the case of a desktop with a window
// manager (screenordermanaged.cpp). Nothing of this runs on Windows, where
// the system keeps owned windows in front of their owner.
//
// Without a window manager (a display where nothing else stacks windows),
// the display stacks a top-level window only in two cases, whatever the
// system's order of windows says:
// - a window whose place in the order really changes (or that is shown)
//   and that is then the first visible window of the whole order goes to
//   the top of the screen; every other move is kept in the order only;
// - a window that takes the keyboard focus (the focus goes to it or to one
//   of its children) goes to the top of the screen, wherever it lies in the
//   order, even below a topmost window.
// So a frame clicked, given the focus or raised covers the windows it owns
// on the screen while the order still counts them in front, and a window
// shown again comes up where it lay on the screen before. The frame watches
// both cases for its whole family (itself and the windows it owns) without
// any hook that runs for every message (under Wine such a hook makes every
// sent message hundreds of times dearer): the library's window procedure
// sees its windows moved in the order or shown, and a WH_CBT hook, called
// for activation and focus only, sees any window of the thread activated or
// given the focus. Then the frame restacks the family on the screen: each
// window that must lie above the frame is made the first window of the
// order in turn, from the bottom up, and the topmost windows that must stay
// above them are put back after.
//
// And the display reports each part of a window that a restack showed for a
// moment (a window raised before the ones that then cover it again), upon
// which Wine moves the window above the windows it takes to cover that
// part, in the system's order only: the order then differs from the
// screen's. So the order of the last restack is put back, without moving
// anything on the screen, before the order is next read, as long as the
// program itself moved none of those windows in the order meanwhile.
//
// Besides, a window shown while it holds the keyboard focus (a dialog) is
// raised to the top of the screen once more when the display reports it
// mapped, which Wine reads with the next display events and tells no hook
// of: the frame reads waiting display events before it restacks, and
// restacks once more a moment later while a topmost window shows.
//
// The same watch (its hook, the moves the library's window procedure sees)
// serves the case with a window manager, which screenordermanaged.cpp
// handles wherever the two differ.
#include "screenorderimpl.h"

#include <algorithm>
#include <string>

namespace screenorder
{
thread_local ScreenOrderWatch t_watch;

namespace
{
int g_nForceRestack = -1;   // -1: as detected; 0 or 1: set by AfxSetOwnedWindowsRestacked

bool IsOptionTrue(const char* psz)
{
    return psz[0] == 'y' || psz[0] == 'Y' || psz[0] == 't' || psz[0] == 'T' || psz[0] == '1';
}

// Wine's "Managed" setting of its X11 driver for this program: the
// program's own entry first, then the general one. TRUE (Wine's default)
// when neither is set.
BOOL WineManagesWindows()
{
    char szModule[MAX_PATH] = {};
    ::GetModuleFileNameA(NULL, szModule, MAX_PATH);
    const char* pszName = strrchr(szModule, '\\');
    pszName = pszName != NULL ? pszName + 1 : szModule;
    std::string strAppKey = std::string("Software\\Wine\\AppDefaults\\") + pszName + "\\X11 Driver";
    const char* keys[] = {strAppKey.c_str(), "Software\\Wine\\X11 Driver"};
    for (const char* pszKey : keys)
    {
        HKEY hKey = NULL;
        if (::RegOpenKeyExA(HKEY_CURRENT_USER, pszKey, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
            continue;
        char szValue[16] = {};
        DWORD cb = sizeof(szValue) - 1, dwType = 0;
        LONG lResult = ::RegQueryValueExA(hKey, "Managed", NULL, &dwType, (BYTE*)szValue, &cb);
        ::RegCloseKey(hKey);
        if (lResult == ERROR_SUCCESS && dwType == REG_SZ)
            return IsOptionTrue(szValue);
    }
    return TRUE;
}
} // namespace

// The frame whose family a top-level window belongs to: the last window of
// its owner chain, when that is a top-level frame of this thread.
CFrameWnd* FamilyFrame(HWND hWndTop)
{
    HWND hWnd = hWndTop;
    for (int n = 0; n < 32; n++)
    {
        HWND hOwner = ::GetWindow(hWnd, GW_OWNER);
        if (hOwner == NULL)
            break;
        hWnd = hOwner;
    }
    CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, CWnd::FromHandlePermanent(hWnd));
    if (pFrame == NULL || (pFrame->GetStyle() & WS_CHILD) != 0)
        return NULL;
    return pFrame;
}



// The program moved hWnd in the order (after hInsertAfter, or to the top or
// bottom): the order to keep follows. After a window it does not hold (a
// hidden window, a dialog: the system moves the windows a frame owns so, in
// their order, when it activates the frame), hWnd goes right below the
// nearest of its windows above that one. A move among the topmost windows
// ends it.
void NoteMovedInOrder(HWND hWnd, HWND hInsertAfter)
{
    std::vector<HWND>& restacked = t_watch.restacked;
    auto it = std::find(restacked.begin(), restacked.end(), hWnd);
    if (it == restacked.end())
        return;
    restacked.erase(it);
    if (hInsertAfter == HWND_TOP)
        restacked.insert(restacked.begin(), hWnd);
    else if (hInsertAfter == HWND_BOTTOM)
        restacked.push_back(hWnd);
    else if ((it = std::find(restacked.begin(), restacked.end(), hInsertAfter)) != restacked.end())
        restacked.insert(it + 1, hWnd);
    else if (hInsertAfter == HWND_TOPMOST || hInsertAfter == HWND_NOTOPMOST)
        restacked.clear();
    else
    {
        auto itAbove = restacked.end();
        const std::vector<HWND> order = AfxGetTopLevelWindows();
        auto itOrder = std::find(order.begin(), order.end(), hInsertAfter);
        if (itOrder != order.end())
            while (itOrder != order.begin() && itAbove == restacked.end())
                itAbove = std::find(restacked.begin(), restacked.end(), *--itOrder);
        restacked.insert(itAbove == restacked.end() ? restacked.begin() : itAbove + 1, hWnd);
    }
}

// A window of hWndTop's family may have been stacked over the others on the
// screen: the family's frame checks its order once the system is done.
void NoteStacked(HWND hWndTop)
{
    if (hWndTop == NULL)
        return;
    CFrameWnd* pFrame = FamilyFrame(hWndTop);
    if (pFrame != NULL)
        pFrame->KeepOwnedWindowsInFront();
}


// Called by the system for activation, focus, creation and sizing only, not
// for every message: activation and focus raise the window on the screen,
// also for windows the class library does not own (message boxes, common
// dialogs, plain controls). It runs before the change; the frame's check is
// posted, so it comes after.
LRESULT CALLBACK ScreenOrderCbtProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    // A hook procedure: nothing may leave it.
    try
    {
        if (AfxWindowManagerStacksWindows() && wParam != 0)
            NoteManagedHook(nCode, (HWND)wParam, lParam);
        if ((nCode == HCBT_ACTIVATE || nCode == HCBT_SETFOCUS) && wParam != 0 && !t_watch.bRestacking)
            NoteStacked(::GetAncestor((HWND)wParam, GA_ROOT));
    }
    catch (CException* e)
    {
        TRACE("following the screen's order failed\n");
        e->Delete();
    }
    catch (...)
    {
        TRACE("following the screen's order failed\n");
    }
    return ::CallNextHookEx(t_watch.hHook, nCode, wParam, lParam);
}

void TakeOrderOf(std::vector<HWND>& windows, const std::vector<HWND>& order)
{
    std::vector<HWND> ordered;
    for (HWND hWnd : order)
        if (std::find(windows.begin(), windows.end(), hWnd) != windows.end())
            ordered.push_back(hWnd);
    size_t i = 0;
    for (HWND& hWnd : windows)
        if (std::find(ordered.begin(), ordered.end(), hWnd) != ordered.end())
            hWnd = ordered[i++];
}

// Moves a window to the top of the order (of the topmost windows when
// bTopmost) so that its place really changes: a window already first goes
// to the bottom before, since a move to where it lies changes nothing on
// the screen.
void MoveFirst(HWND hWnd, BOOL bTopmost)
{
    if (::GetWindow(hWnd, GW_HWNDPREV) == NULL)
        ::SetWindowPos(hWnd, HWND_BOTTOM, 0, 0, 0, 0, kOrderOnly);
    ::SetWindowPos(hWnd, bTopmost ? HWND_TOPMOST : HWND_TOP, 0, 0, 0, 0, kOrderOnly);
}
} // namespace screenorder

using namespace screenorder;

BOOL AFXAPI AfxIsRunningOnWine()
{
    static const BOOL bWine = ::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "wine_get_version") != NULL;
    return bWine;
}

BOOL AFXAPI AfxOwnedWindowsRestacked()
{
    if (g_nForceRestack >= 0)
        return g_nForceRestack != 0;
    return AfxIsRunningOnWine();
}

BOOL AFXAPI AfxWindowManagerStacksWindows()
{
    static const BOOL bManaged = AfxIsRunningOnWine() && WineManagesWindows();
    return bManaged;
}

void AFXAPI AfxSetOwnedWindowsRestacked(int nRestack)
{
    g_nForceRestack = nRestack < 0 ? -1 : (nRestack != 0);
}

void AFXAPI AfxFollowScreenOrder(BOOL bFollow)
{
    if (bFollow)
    {
        if (t_watch.nFrames++ == 0)
        {
            t_watch.hHook = ::SetWindowsHookExA(WH_CBT, &ScreenOrderCbtProc, NULL, ::GetCurrentThreadId());
            if (t_watch.hHook == NULL)
                TRACE("activation and focus of windows not the library's cannot be followed: no hook\n");
        }
    }
    else if (t_watch.nFrames > 0 && --t_watch.nFrames == 0 && t_watch.hHook != NULL)
    {
        ::UnhookWindowsHookEx(t_watch.hHook);
        t_watch.hHook = NULL;
    }
}

BOOL AFXAPI AfxIsFollowingScreenOrder()
{
    return t_watch.nFrames > 0;
}

void AFXAPI AfxNoteWindowPosChanged(HWND hWnd, const WINDOWPOS* pPos)
{
    if (t_watch.nFrames == 0 || t_watch.bRestacking || pPos == NULL)
        return;
    if (AfxWindowManagerStacksWindows())
        NoteManagedWindowPos(hWnd, pPos);
    // Moved in the order by the program: the order to keep follows.
    if ((pPos->flags & SWP_NOZORDER) == 0)
        NoteMovedInOrder(hWnd, pPos->hwndInsertAfter);
    // Moved in the order or shown: only then may the screen have changed.
    if ((pPos->flags & SWP_NOZORDER) != 0 && (pPos->flags & SWP_SHOWWINDOW) == 0)
        return;
    if ((::GetWindowLongPtr(hWnd, GWL_STYLE) & WS_CHILD) != 0)
        return;
    NoteStacked(hWnd);
}

int AFXAPI AfxRestackOnScreen(const HWND* phWndAbove, int nCount)
{
    if (phWndAbove == NULL || nCount <= 0)
        return 0;
    const std::vector<HWND> above(phWndAbove, phWndAbove + nCount);
    // The visible topmost windows of the whole order (other programs'
    // always-on-top windows, open menus, tips), top first: they must stay
    // above the windows raised.
    std::vector<HWND> topmost;
    for (HWND hWnd : AfxGetTopLevelWindows())
    {
        if ((::GetWindowLongPtr(hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST) == 0)
            break;   // the topmost windows come first
        if (!::IsWindowVisible(hWnd) || std::find(above.begin(), above.end(), hWnd) != above.end())
            continue;
        // A topmost window that one of the raised windows owns (its tip, its
        // open menu) goes up with its owner and needs no place kept for it:
        // counted here, it would send its owners through the topmost round,
        // after which the order of owned windows among themselves is lost
        // (a dialog's tip let the dialog's owner come over the dialog).
        HWND hOwner = ::GetWindow(hWnd, GW_OWNER);
        if (hOwner != NULL && std::find(above.begin(), above.end(), hOwner) != above.end())
            continue;
        topmost.push_back(hWnd);
    }

    if (AfxWindowManagerStacksWindows())
        return RestackManaged(above);

    // Moved one at a time: a window that owns another would otherwise take
    // that one along to the top of the order, and only the owned one would
    // be first (and raised on the screen). The owners come back afterwards.
    std::vector<HWND> owners;
    for (HWND hWnd : above)
        owners.push_back(::GetWindow(hWnd, GW_OWNER));
    t_watch.bRestacking = TRUE;
    for (HWND hWnd : above)
        ::SetWindowLongPtr(hWnd, GWLP_HWNDPARENT, 0);

    // The family's own topmost windows (a tip, an open menu) are restacked
    // with it and stay topmost; the others go back among the ordinary ones.
    std::vector<bool> wasTopmost;
    bool bFamilyTopmost = false;
    for (HWND hWnd : above)
    {
        wasTopmost.push_back((::GetWindowLongPtr(hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0);
        bFamilyTopmost = bFamilyTopmost || wasTopmost.back();
    }

    if (topmost.empty() && !bFamilyTopmost)
    {
        // Bottom up, each becomes the first window and the screen follows.
        for (auto it = above.rbegin(); it != above.rend(); ++it)
            MoveFirst(*it, FALSE);
    }
    else
    {
        // A window below a visible topmost one is never first: each is made
        // topmost for a moment (first, so the screen follows), the topmost
        // windows are raised over them again, and then they go back to the
        // top of the ordinary windows, which the screen does not follow.
        // Made ordinary again in the same order, they keep their order.
        for (auto it = above.rbegin(); it != above.rend(); ++it)
            MoveFirst(*it, TRUE);
        const DWORD dwThread = ::GetCurrentThreadId();
        for (auto it = topmost.rbegin(); it != topmost.rend(); ++it)
        {
            HWND hWnd = *it;
            if (!::IsWindow(hWnd))
                continue;
            if (::GetWindowThreadProcessId(hWnd, NULL) == dwThread)
            {
                ::SetWindowPos(hWnd, HWND_TOPMOST, 0, 0, 0, 0, kOrderOnly);
            }
            else
            {
                // Another thread's window moves in its own thread: asked
                // without waiting, then met with a message that comes after
                // the move, so that a program that hangs does not hang this one.
                ::SetWindowPos(hWnd, HWND_TOPMOST, 0, 0, 0, 0, kOrderOnly | SWP_ASYNCWINDOWPOS);
                DWORD_PTR dwResult = 0;
                ::SendMessageTimeoutA(hWnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 100, &dwResult);
            }
        }
        for (size_t i = above.size(); i-- > 0;)
            if (!wasTopmost[i])
                ::SetWindowPos(above[i], HWND_NOTOPMOST, 0, 0, 0, 0, kOrderOnly);
    }

    for (size_t i = 0; i < above.size(); i++)
        if (::IsWindow(above[i]))
            ::SetWindowLongPtr(above[i], GWLP_HWNDPARENT, (LONG_PTR)owners[i]);
    t_watch.restacked.clear();
    for (size_t i = 0; i < above.size(); i++)
        if (!wasTopmost[i])
            t_watch.restacked.push_back(above[i]);
    t_watch.bRestacking = FALSE;
    return (int)above.size();
}

int AFXAPI AfxRestoreRestackedOrder()
{
    std::vector<HWND>& restacked = t_watch.restacked;
    if (t_watch.bRestacking)
        return 0;
    // With a window manager that reports its stacking, that is the order.
    if (AfxWindowManagerStacksWindows())
    {
        const int nSynced = SyncOrderWithWindowManager();
        if (nSynced >= 0)
            return nSynced;
    }
    if (restacked.size() < 2)
        return 0;
    // A window destroyed since (the splash) leaves the others in their order.
    restacked.erase(std::remove_if(restacked.begin(), restacked.end(), [](HWND hWnd) { return !::IsWindow(hWnd); }),
                    restacked.end());
    // Without a window manager a window hidden since shows again where it
    // lay on the screen, whatever the order says: the restacked order is
    // kept no further. With one, a hidden window gets no reports of the
    // display and is mapped anew when shown: its place is kept.
    const BOOL bManaged = AfxWindowManagerStacksWindows();
    for (HWND hWnd : restacked)
        if (!bManaged && !::IsWindowVisible(hWnd))
        {
            restacked.clear();
            return 0;
        }
    // Right after a restack they lie next to one another in its order.
    bool bInOrder = true;
    for (size_t i = 1; i < restacked.size() && bInOrder; i++)
        bInOrder = ::GetWindow(restacked[i - 1], GW_HWNDNEXT) == restacked[i];
    if (bInOrder)
        return 0;
    // Their places in the system's order now, top first.
    std::vector<HWND> now;
    for (HWND hWnd : AfxGetTopLevelWindows())
        if (std::find(restacked.begin(), restacked.end(), hWnd) != restacked.end())
            now.push_back(hWnd);
    if (now == restacked)
        return 0;
    // Each goes right below the one above it: none becomes the first window,
    // so the screen, which shows the restacked order, does not change.
    t_watch.bRestacking = TRUE;
    for (size_t i = 1; i < restacked.size(); i++)
        ::SetWindowPos(restacked[i], restacked[i - 1], 0, 0, 0, 0, kOrderOnly);
    t_watch.bRestacking = FALSE;
    return 1;
}

std::vector<HWND> AFXAPI AfxGetOwnedWindowsInScreenOrder(HWND hWndOwner)
{
    t_watch.bStackingRead = FALSE;
    AfxRestoreRestackedOrder();
    std::vector<HWND> owned;
    for (HWND hWnd : AfxGetTopLevelWindows())
        if (::GetWindow(hWnd, GW_OWNER) == hWndOwner)
            owned.push_back(hWnd);
    if (!t_watch.bStackingRead)
        return owned;
    // The ones the window manager stacks take its order, in the places they
    // hold among the others; the hidden ones keep theirs.
    TakeOrderOf(owned, t_watch.stacking);
    return owned;
}


void AFXAPI AfxNoteButtonPress(HWND hWnd, BOOL bHandled)
{
    // Only while a frame follows the screen's order (under Wine).
    if (t_watch.nFrames == 0 || t_watch.bRestacking || !::IsWindow(hWnd))
        return;
    HWND hRoot = ::GetAncestor(hWnd, GA_ROOT);
    // The frame raised takes the windows it owns along, in their order.
    if (hRoot == NULL || ::GetWindow(hRoot, GW_OWNER) == NULL || !::IsWindowVisible(hRoot) ||
        (::GetWindowLongPtr(hRoot, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0)
        return;
    CFrameWnd* pFrame = FamilyFrame(hRoot);
    if (pFrame == NULL || !::IsWindowEnabled(hRoot))
        return;
    // The player's click decides the order from now on.
    t_watch.hKeptOwner = NULL;
    t_watch.kept.clear();
    // A window manager raises the window clicked on the screen itself, and
    // the display's stacking is read where the order is needed: nothing is
    // moved (a raise asked for besides, some window managers answer by
    // restacking the windows transient for the frame otherwise). Only where
    // the stacking cannot be read is the system's order made to follow.
    if (AfxWindowManagerStacksWindows() && AfxIsScreenStackingReadable())
    {
        if (bHandled)
            ArmStackingFollow(hRoot);
        return;
    }
    // A report of the display during the window's handling (a drag loop
    // pumps messages) may have moved a window in the system's order only;
    // what the program moved since the last restack stays.
    if (!AfxWindowManagerStacksWindows())
        AfxRestoreRestackedOrder();
    t_watch.bRestacking = TRUE;
    if (!bHandled)
    {
        // Wine activates a window clicked without bringing it to the top of
        // the order, where the system's own activation puts it; a window
        // manager raises it on the screen. The windows it owns stay above
        // it. Without a window manager the screen follows, the window being
        // first then.
        ::SetWindowPos(hRoot, HWND_TOP, 0, 0, 0, 0, kOrderOnly & ~SWP_NOOWNERZORDER);
        NoteMovedInOrder(hRoot, HWND_TOP);
    }
    else
    {
        // The family's windows that now lie above it in the system's order
        // (and that it does not own: those the window manager keeps above
        // it), nearest first, so bottom up.
        std::vector<HWND> above;
        const std::vector<HWND> order = AfxGetTopLevelWindows();
        auto itOrder = std::find(order.begin(), order.end(), hRoot);
        if (itOrder == order.end())
            itOrder = order.begin();
        while (itOrder != order.begin())
        {
            const HWND hPrev = *--itOrder;
            if (!::IsWindowVisible(hPrev) || (::GetWindowLongPtr(hPrev, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0 ||
                FamilyFrame(hPrev) != pFrame)
                continue;
            HWND hOwner = ::GetWindow(hPrev, GW_OWNER);
            for (int n = 0; n < 32 && hOwner != NULL && hOwner != hRoot; n++)
                hOwner = ::GetWindow(hOwner, GW_OWNER);
            if (hOwner != hRoot)
                above.push_back(hPrev);
        }
        for (HWND hAbove : above)
        {
            MoveFirst(hAbove, FALSE);
            NoteMovedInOrder(hAbove, HWND_TOP);
        }
    }
    t_watch.bRestacking = FALSE;
}




BOOL AFXAPI AfxIsOtherTopmostWindowVisible(HWND hWndRoot)
{
    for (HWND hWnd : AfxGetTopLevelWindows())
    {
        if ((::GetWindowLongPtr(hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST) == 0)
            break;   // the topmost windows come first
        if (!::IsWindowVisible(hWnd) || hWnd == hWndRoot)
            continue;
        HWND hRoot = hWnd;
        for (int n = 0; n < 32 && ::GetWindow(hRoot, GW_OWNER) != NULL; n++)
            hRoot = ::GetWindow(hRoot, GW_OWNER);
        if (hRoot != hWndRoot)
            return TRUE;
    }
    return FALSE;
}

void AFXAPI AfxNoteClickOnDisabledWindow(HWND hWnd)
{
    // On Windows the system itself beeps and brings the modal window forward.
    if (hWnd == NULL || !AfxOwnedWindowsRestacked() || ::IsWindowEnabled(hWnd))
        return;
    HWND hWndTop = ::GetAncestor(hWnd, GA_ROOT);
    HWND hRoot = hWndTop;
    for (int n = 0; n < 32; n++)
    {
        HWND hOwner = ::GetWindow(hRoot, GW_OWNER);
        if (hOwner == NULL)
            break;
        hRoot = hOwner;
    }
    // The window that holds the family: the last one activated, when it is
    // not the clicked one and takes input. (The system's default handling of
    // the press beeps.)
    HWND hModal = ::GetLastActivePopup(hRoot);
    if (hModal == NULL || hModal == hWndTop || !::IsWindowVisible(hModal) || !::IsWindowEnabled(hModal))
        return;
    if (::GetForegroundWindow() != hModal)
        ::SetForegroundWindow(hModal);
    // Asked to come to the top even when already active: the window
    // manager may have raised the clicked window over it. The windows it is
    // opened from (a dialog opened from a dialog) come up with it, bottom
    // up, each over the clicked window too: the one active again when it
    // closes must not lie under what was clicked meanwhile. The system keeps
    // the windows a window owns above it, so an owner moved to the top of
    // the order would not be the first window, which alone the display (or
    // the window manager) raises: the one of the chain it owns has no owner
    // while it moves.
    std::vector<HWND> chain;   // the modal window first
    for (HWND hWndChain = hModal; hWndChain != NULL && hWndChain != hRoot && chain.size() < 32;
         hWndChain = ::GetWindow(hWndChain, GW_OWNER))
        chain.push_back(hWndChain);
    // A window manager raises the window clicked, disabled or not, and tells
    // Wine nothing of it. Where the display's stacking cannot be read, the
    // clicked window the frame owns comes to the top of the order too, and
    // of the order the watch keeps, so that the order stored at exit and put
    // back after a minimise is the one the screen shows; asked of the
    // display as well, it lies so whatever the window manager chose. The
    // chain comes over it below.
    if (AfxWindowManagerStacksWindows() && !AfxIsScreenStackingReadable() && hWndTop != hRoot && ::GetWindow(hWndTop, GW_OWNER) != NULL &&
        ::IsWindowVisible(hWndTop) && (::GetWindowLongPtr(hWndTop, GWL_EXSTYLE) & WS_EX_TOPMOST) == 0 &&
        std::find(chain.begin(), chain.end(), hWndTop) == chain.end())
    {
        MoveFirst(hWndTop, FALSE);
        NoteMovedInOrder(hWndTop, HWND_TOP);
    }
    for (size_t i = chain.size(); i-- > 0;)
    {
        if (!::IsWindowVisible(chain[i]))
            continue;
        HWND hOwned = i > 0 ? chain[i - 1] : NULL;
        if (hOwned != NULL)
            ::SetWindowLongPtr(hOwned, GWLP_HWNDPARENT, 0);
        const bool bTopmost = (::GetWindowLongPtr(chain[i], GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
        MoveFirst(chain[i], bTopmost);
        // Without a window manager the order the watch keeps follows each
        // move: a window not the library's (a message box, a common dialog)
        // tells it nothing of its own, and the order put back before the
        // next restack would then have the window it was opened from (a
        // dialog opened from the frame) over it, and that window under the
        // floating windows, where the restack leaves it on the screen once
        // the modal window closes.
        if (!bTopmost && !AfxWindowManagerStacksWindows())
            NoteMovedInOrder(chain[i], HWND_TOP);
        if (hOwned != NULL)
            ::SetWindowLongPtr(hOwned, GWLP_HWNDPARENT, (LONG_PTR)chain[i]);
    }
    // Without a window manager the family's order on the screen follows.
    CFrameWnd* pFrame = FamilyFrame(hModal);
    if (pFrame != NULL)
        pFrame->KeepOwnedWindowsInFront();
}
