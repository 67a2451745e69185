// Internal state of the window layer shared by its sources (not a public header).
#pragma once

#include <afxwin.h>
#include <afxhandlemap.h>

#include <string>
#include <vector>

// The permanent/temporary map of windows (temporaries are plain CWnd objects).
struct CWndHandleTraits : CHandleMapTraitsBase<HWND, CWnd>
{
    static CWnd* CreateTemp(HWND h);
    static void DetachTemp(CWnd* p);
};
typedef CHandleMap<HWND, CWnd, CWndHandleTraits> CWndHandleMap;

// Per-thread state of the window layer.
class CToolTipCtrl;

struct AFX_THREAD_STATE
{
    MSG m_lastSentMsg;             // the message AfxCallWndProc is dispatching
    CWnd* m_pWndInit;              // armed creation hook: the object of the next window
    HWND m_hWndInitParent;         // when set, only a window with this parent is taken
    HHOOK m_hHookOldCbtFilter;     // the thread's creation hook
    CWinThread* m_pThread;         // the thread object (the application on the main thread)
    HWND m_hLockoutNotifyWindow;   // control notifications to this window are ignored (UpdateData)
    int m_nMsgDepth;               // calls in progress through AfxCallWndProc
    POINT m_ptCursorLast;          // for IsIdleMessage
    UINT m_nMsgLast;
    std::vector<CFrameWnd*> m_frameList;   // the thread's frames (idle updates)
    // The tip window of EnableToolTips and the tool it shows.
    CToolTipCtrl* m_pToolTip = NULL;
    HWND m_hWndLastHit = NULL;             // the window whose tool is shown
    INT_PTR m_nLastHit = -1;
    TOOLINFO m_lastInfo = {};
};

AFX_THREAD_STATE* AFXAPI AfxGetThreadState();

// Passes a mouse or key message to the nearest window above its target that
// has the class library's tooltips enabled (EnableToolTips).
void AFXAPI AfxRelayToolTipMessage(MSG* pMsg);

// Reports an exception caught at a callback barrier and answers the neutral
// result for the message (-1 for WM_CREATE).  Never throws.
LRESULT AFXAPI AfxHandleWndProcException(CException* e, LPCTSTR lpszDescription, const MSG* pMsg);

// Text of an exception for reports.
CString AFXAPI AfxExceptionText(CException* e);

// Catch-all wrapper for code running at a callback barrier.
#define AFX_BARRIER_CATCH(where, pMsg, onError) \
    catch (CException * e_) \
    { \
        AfxReportCallbackException(where, e_, pMsg); \
        e_->Delete(); \
        onError; \
    } \
    catch (std::exception & ex_) \
    { \
        AfxReportCallbackException(CString(where) + ": " + ex_.what(), NULL, pMsg); \
        onError; \
    } \
    catch (...) \
    { \
        AfxReportCallbackException(where, NULL, pMsg); \
        onError; \
    }

// Pumps one message into *pMsg (the thread's walk, then dispatch); FALSE on
// WM_QUIT, which is left in *pMsg and not posted again.
BOOL AFXAPI AfxPumpMessageInto(MSG* pMsg);

// The message-box hook set by AfxSetMessageBoxHook (NULL: none).
AFX_MSGBOX_HOOK AFXAPI AfxGetMessageBoxHook();

// A static control that loaded its own picture at creation (SS_BITMAP, the
// bitmap named by its text, as a dialog template's picture control names
// it) frees that bitmap when it is destroyed, if it still shows it. The
// system's control never frees it itself here, so every showing of a dialog
// with a picture would leave a bitmap behind. A bitmap set later with
// STM_SETIMAGE is its setter's, as is the one it replaced, which the
// message hands back. Anything but such a control is left alone.
void AFXAPI AfxOwnStaticPicture(HWND hWnd);

// Frames register with their thread for idle updates.
void AFXAPI AfxAddFrameWnd(CFrameWnd* pFrame);
void AFXAPI AfxRemoveFrameWnd(CFrameWnd* pFrame);

// The id of a child window (0 for top-level windows).
inline UINT AfxGetDlgCtrlID(HWND hWnd)
{
    if (hWnd == NULL || (::GetWindowLongPtr(hWnd, GWL_STYLE) & WS_CHILD) == 0)
        return 0;
    return (UINT)(WORD)::GetDlgCtrlID(hWnd);
}

// A control's reflected WM_DRAWITEM: hands the item to pCtrl->DrawItem and
// answers TRUE (also in *pResult when given).
template <class TCtrl>
inline BOOL AfxReflectDrawItem(TCtrl* pCtrl, LPARAM lParam, LRESULT* pResult)
{
    pCtrl->DrawItem((LPDRAWITEMSTRUCT)lParam);
    if (pResult != NULL)
        *pResult = TRUE;
    return TRUE;
}

// A top-level window of the display (a window manager's frame, or a window
// it does not manage): where it lies on the screen, every window inside it,
// and the client windows among them (those carrying a class: a program's
// own, the top-level window itself when it does).
struct AFX_DISPLAY_TOP_LEVEL
{
    ULONG_PTR nId = 0;
    RECT rc = {};
    std::vector<ULONG_PTR> held;
    std::vector<ULONG_PTR> clients;
};
// The display's top-level windows, top first, and its input focus (the
// window holding it, 0 when it was not asked for).
struct AFX_DISPLAY_TREE
{
    ULONG_PTR nFocus = 0;
    std::vector<AFX_DISPLAY_TOP_LEVEL> topLevels;
    // The place (0 the top) of the top-level window that is or holds nId,
    // or -1.
    int PlaceOf(ULONG_PTR nId) const;
};
// With a window manager (under Wine): reads the tree of the display's root
// window, with the display's input focus too when bFocus (one call of the
// host, waiting a tenth of a second at most). FALSE when it cannot be read
// (see AfxIsScreenStackingReadable), or the focus was asked and not read.
BOOL AFXAPI AfxReadDisplayTree(AFX_DISPLAY_TREE& tree, BOOL bFocus);
// With a window manager (under Wine): whether the display shows the window
// nId (mapped, and all it lies in). The tree lists unmapped windows too, such
// as the frame of another program's minimised window, in the place it held.
// TRUE when it cannot be read: the window is taken as shown, as before.
BOOL AFXAPI AfxIsDisplayWindowViewable(ULONG_PTR nId);
// With a window manager (under Wine): gives the display's keyboard focus to
// the top-level window of hWnd, which the system holds active already: a window manager that focuses a window of its own
// and offers the program the keyboard with the time of an older event
// (icewm) leaves it nowhere, even when asked to activate the window. FALSE
// when it cannot be asked.
BOOL AFXAPI AfxAskDisplayToFocus(HWND hWnd);
// Under Wine: this thread's top-level window the display knows as nId (the
// display's window Wine made for it), or NULL.
HWND AFXAPI AfxOwnWindowOfDisplayWindow(ULONG_PTR nId);
// With a window manager (under Wine) whose stacking can be read: hWnd's
// family may have been restacked by it (a window deactivated, activated or
// pressed on); a moment later, while the family's frame shows, the
// display's stacking is read and kept, so that a minimise (after which the
// display no longer shows the order) keeps the order last seen.
void AFXAPI AfxNoteStackingMayHaveChanged(HWND hWnd);
// With a window manager (under Wine), from the thread's activation hook:
// hWnd is activated, hWndPrevious was the thread's active window (NULL: the
// game comes in front). When the game's active window closed (a dialog) or
// the game was entered by the window manager offering the keyboard to a
// window that refused it, the display's focus is checked a moment later
// (windowmanagerfocus.cpp).
void AFXAPI AfxNoteActivatedUnderWindowManager(HWND hWnd, HWND hWndPrevious);
// The library's window procedure hands here a top-level window that
// answered WM_MOUSEACTIVATE by refusing the activation, with the hit-test
// code it was asked with.
void AFXAPI AfxNoteActivationRefused(HWND hWnd, UINT nHitTest);
