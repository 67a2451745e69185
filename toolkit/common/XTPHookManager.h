// Hook, keyboard and mouse managers: they let toolkit objects see the
// messages of windows and threads they do not own.
//  - The hook manager subclasses a window and offers each of its messages to a
//    chain of clients before the window's own procedure.
//  - The keyboard manager holds, per thread, a keyboard hook while bars take
//    the keyboard.
//  - The mouse manager keeps, per thread, the bars that track the mouse (open
//    popups and the bars that opened them), closes them on a click elsewhere
//    and when the program loses the activation, and gives the toolkit its
//    mouse-leave notification. Neither installs a hook that runs for every
//    message sent in the thread.
#pragma once

#include "XTPCommon.h"
#include <afxtempl.h>

class CXTPShadowSettings;

// A client of the hook manager (and of the keyboard manager).
class CXTPHookManagerHookAble
{
public:
    // Answers of OnHookMessage.
    enum
    {
        hookContinue = 0,   // not handled: offer it to the next client
        hookHandled = 1,    // handled: the result set by the client is the result
        hookStop = 2        // not handled, and no further client sees it
    };

    CXTPHookManagerHookAble() : m_bAutoDestroy(FALSE) {}
    virtual ~CXTPHookManagerHookAble() {}

    // Sees a message of a hooked window (or, from the keyboard manager, a key
    // with a null window) before the window does. May change wParam and lParam
    // for the clients and the procedure that come after it.
    virtual int OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult) = 0;

    // When TRUE the hook manager deletes the client when it removes it.
    BOOL m_bAutoDestroy;
};

// What the foundation's managers need of a command bar. The command bars
// derive CXTPCommandBar from it (its same-named members implement these), so
// the foundation works with bars without depending on the command bars.
class CXTPTrackableBar
{
public:
    CXTPTrackableBar() : m_nLockTracking(0) {}
    virtual ~CXTPTrackableBar() {}

    // The bar's window.
    virtual HWND GetTrackableHwnd() const = 0;
    // Point test (screen coordinates): 1 the point lies on the bar, 0 it does
    // not, -2 the bar declines to say.
    virtual int HitTestTrackedPoint(CPoint ptScreen) = 0;
    // Clears the bar's selected control.
    virtual void ClearSelection() = 0;
    // Leaves tracking mode; the bar then removes itself from the mouse
    // manager's tracked list.
    virtual void ExitTrackingMode() = 0;
    // A mouse move at a point in the bar's client coordinates.
    virtual void OnMouseMove(UINT nFlags, CPoint point) = 0;

    // What the drop shadows read: the settings of the bar's paint manager
    // (the command bars return their CXTPPaintManager, which implements them).
    virtual CXTPShadowSettings* GetPaintManager() = 0;
    virtual BOOL IsCustomizeMode() = 0;
    virtual CWnd* GetSite() = 0;
    // Whether shadow windows get the save-bits class style: TRUE for a bar
    // without command bars, else the command bars' save-bits option.
    virtual BOOL IsSaveBitsEnabled() { return TRUE; }

    // The tracking lock count: raised and lowered for every tracked bar by
    // the mouse manager's LockTracked. A bar whose count is above 0 ignores
    // the mouse outside it and survives CloseUnlockedTracked.
    int m_nLockTracking;
};

// Subclasses windows and passes their messages to chains of clients.
class CXTPHookManager
{
public:
    // The clients of one hooked window and what the window had before.
    class CHookSink : public CArray<CXTPHookManagerHookAble*, CXTPHookManagerHookAble*>
    {
    public:
        CHookSink(HWND hWnd, WNDPROC pfnOldWndProc);
        ~CHookSink();   // puts the old procedure back, deletes auto-delete clients

        int Find(CXTPHookManagerHookAble* pHook) const;

        WNDPROC m_pfnOldWndProc;
        HWND m_hWnd;
        AFX_MODULE_STATE* m_pModuleState;
    };

    CXTPHookManager();
    ~CXTPHookManager();

    // Subclasses the window on first use and appends the client unless it is
    // already there.
    void SetHook(HWND hWnd, CXTPHookManagerHookAble* pHook);
    // Removes the client from the window's chain; an emptied chain gives the
    // window its old procedure back.
    void RemoveHook(HWND hWnd, CXTPHookManagerHookAble* pHook);
    // Removes the client from every window that holds it.
    void RemoveHookAbleFromAll(CXTPHookManagerHookAble* pHook);
    // Removes the window's whole chain.
    void RemoveAll(HWND hWnd);

    // The chain of a window, or NULL.
    CHookSink* Lookup(HWND hWnd) const;
    int GetHookedWindowCount() const { return (int)m_mapHooks.GetCount(); }

private:
    CXTPHookManager(const CXTPHookManager&);
    CXTPHookManager& operator=(const CXTPHookManager&);

    static LRESULT CALLBACK HookWndProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam);
    LRESULT WindowProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam);
    void RemoveSink(HWND hWnd);

    CMap<HWND, HWND, CHookSink*, CHookSink*> m_mapHooks;
};

// The one hook manager, built at start-up and destroyed at exit.
CXTPHookManager* AFXAPI XTPHookManager();

// Per thread: a keyboard hook while bars take the keyboard.
class CXTPKeyboardManager : public CNoTrackObject
{
public:
    CXTPKeyboardManager();
    virtual ~CXTPKeyboardManager();

    // Installs the thread's keyboard hook if needed and appends the client.
    void HookKeyboard(CXTPHookManagerHookAble* pHook);
    // Removes the client; the hook goes with the last one.
    void UnhookKeyboard(CXTPHookManagerHookAble* pHook);
    // Offers a key to the clients, the newest first; TRUE swallows the key.
    BOOL DispatchKeyboardHook(UINT nMessage, WPARAM wParam, LPARAM lParam);

    BOOL IsKeyboardHooked() const { return m_hHookKeyboard != NULL; }
    int GetHookCount() const { return (int)m_lstHookKeyboard.GetCount(); }
    // TRUE while the keyboard hook offers a key to the clients. The key's
    // message is still queued then: a message loop started now (a dialog
    // opened by the key) would get the same key again.
    BOOL IsInKeyboardHook() const { return m_nHookDepth > 0; }

private:
    static LRESULT CALLBACK KeyboardProc(int nCode, WPARAM wParam, LPARAM lParam);
    LRESULT OnKeyboardHook(int nCode, WPARAM wParam, LPARAM lParam);
    void Unhook();

    HHOOK m_hHookKeyboard;
    AFX_MODULE_STATE* m_pModuleState;
    CList<CXTPHookManagerHookAble*, CXTPHookManagerHookAble*> m_lstHookKeyboard;
    int m_nHookDepth;
};

// The calling thread's keyboard manager, created on first use.
CXTPKeyboardManager* AFXAPI XTPKeyboardManager();

// The timer that watches a window for the mouse leaving it.
#define XTP_TID_MOUSELEAVE 113341

// Per thread: the bars that track the mouse.
class CXTPMouseManager : public CNoTrackObject
{
public:
    typedef CArray<CXTPTrackableBar*, CXTPTrackableBar*> CTrackArray;
    typedef CArray<HWND, HWND> CTrustedArray;

    CXTPMouseManager();     // installs the thread's mouse hook
    virtual ~CXTPMouseManager();

    // Tracked bars.
    void AddTracked(CXTPTrackableBar* pBar);
    void RemoveTracked(CXTPTrackableBar* pBar);
    void CloseAllTracked();
    void CloseUnlockedTracked();
    void LockTracked(BOOL bLock);
    BOOL IsMouseLocked(CXTPTrackableBar* pBar = NULL) const;
    BOOL IsTracked(CXTPTrackableBar* pBar) const { return FindTracked(pBar) != -1; }
    const CTrackArray& GetTrackArray() const { return m_arrTracked; }

    // Windows that count as part of the tracked bars.
    void AddTrusted(HWND hWnd);
    void RemoveTrusted(HWND hWnd);

    // The hold count: while it is above 0, button-up messages outside the
    // tracked bars do not close them and Alt reaches the hooked bars.
    void LockMouseMove() { m_nLock++; }
    void UnlockMouseMove() { if (m_nLock > 0) m_nLock--; }
    int GetLockCount() const { return m_nLock; }

    // The bar whose selection is kept while no bar tracks.
    void SetSelectedCommandBar(CXTPTrackableBar* pBar) { m_pSelected = pBar; }
    CXTPTrackableBar* GetSelectedCommandBar() const { return m_pSelected; }

    // Set by popup bars that expanded to their full menus.
    void SetForceExpanded(BOOL bExpanded) { m_bForceExpanded = bExpanded; }
    BOOL IsForceExpanded() const { return m_bForceExpanded; }

    // Set when a press opened a popup: the next button-up is swallowed.
    void SetSwallowNextButtonUp(BOOL bSwallow = TRUE) { m_bSwallowButtonUp = bSwallow; }
    BOOL IsSwallowNextButtonUp() const { return m_bSwallowButtonUp; }

    // Watches the window for the mouse leaving it (WM_MOUSELEAVE).
    void TrackMouseLeave(HWND hWnd);
    void TrackMouseLeave(CWnd* pWnd) { TrackMouseLeave(pWnd->GetSafeHwnd()); }
    HWND GetMouseLeaveWindow() const { return m_hWndLeaveTrack; }
    // One tick of the mouse-leave timer.
    void OnMouseLeaveTimer();

    static BOOL AFX_CDECL IsTopParentActive(HWND hWnd);

    // Offers a mouse message (point in screen coordinates) to the tracked
    // bars; never swallows it.
    BOOL PreviewMouseMessage(UINT nMessage, CPoint point);

    HHOOK GetMouseHook() const { return m_hHookMouse; }
    // The top-level windows watched for the program losing the activation
    // while bars are tracked.
    const CTrustedArray& GetActivationWatched() const { return m_arrWatched; }

private:
    // Sees the messages of the top-level windows of the tracked bars (and of
    // the thread's active window): the program losing the activation, which
    // reaches every top-level window of the thread, closes the tracked bars.
    class CActivationWatch : public CXTPHookManagerHookAble
    {
    public:
        explicit CActivationWatch(CXTPMouseManager* pManager) : m_pManager(pManager) {}
        int OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult) override;

    private:
        CXTPMouseManager* m_pManager;
    };
    void WatchActivation(HWND hWnd);
    void StopWatchingActivation();

    static LRESULT CALLBACK MouseProc(int nCode, WPARAM wParam, LPARAM lParam);
    static void CALLBACK MouseLeaveTimerProc(HWND hWnd, UINT nMsg, UINT_PTR nIDEvent, DWORD dwTime);
    LRESULT OnMouseHook(int nCode, WPARAM wParam, LPARAM lParam);
    int FindTracked(CXTPTrackableBar* pBar) const;
    BOOL IsTrustedWindow(HWND hWnd) const;
    void StopMouseLeave();

    int m_nLock;
    CTrackArray m_arrTracked;
    HHOOK m_hHookMouse;
    CXTPTrackableBar* m_pSelected;
    HWND m_hWndLeaveTrack;
    BOOL m_bForceExpanded;
    CTrustedArray m_arrTrusted;
    BOOL m_bSwallowButtonUp;
    AFX_MODULE_STATE* m_pModuleState;
    CActivationWatch* m_pActivationWatch;
    CTrustedArray m_arrWatched;

    // The screen point of the last mouse message the hook saw (process-wide).
    static CPoint m_ptLastMouse;
};

// The calling thread's mouse manager, created on first use.
CXTPMouseManager* AFXAPI XTPMouseManager();
