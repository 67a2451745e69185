// afxpriv.h - the layer's private window messages and the structures they
// carry.  The numbers are fixed: the toolkit and the game rely on them.
#ifndef BM_AFXPRIV_H
#define BM_AFXPRIV_H

#include <afx.h>

#define WM_QUERYAFXWNDPROC      0x0360  // answered 1 by windows of the layer
#define WM_SIZEPARENT           0x0361  // lParam = AFX_SIZEPARENTPARAMS*
#define WM_SETMESSAGESTRING     0x0362  // wParam = string id, or lParam = text
#define WM_IDLEUPDATECMDUI      0x0363  // wParam TRUE: disable commands without handler
#define WM_INITIALUPDATE        0x0364  // once, to the descendants of a new frame
#define WM_COMMANDHELP          0x0365  // lResult = TRUE when handled, lParam = help id
#define WM_HELPHITTEST          0x0366  // lResult = help id, lParam = point
#define WM_EXITHELPMODE         0x0367  // posted to a frame in help mode: the mode ends
#define WM_RECALCPARENT         0x0368  // the frame lays its bars out again
#define WM_SIZECHILD            0x0369
#define WM_KICKIDLE             0x036A  // modal loops when idle: wParam = MSGF_*, lParam = idle count
#define WM_QUERYCENTERWND       0x036B
#define WM_DISABLEMODAL         0x036C  // TRUE: do not disable this window in a modal state
#define WM_FLOATSTATUS          0x036D  // wParam = FS_* flags
#define WM_ACTIVATETOPLEVEL     0x036E
#define WM_RAISEOWNEDWINDOWS    0x036F  // posted to a frame: the windows it owns go in front of it
#define WM_SOCKET_NOTIFY        0x0373
#define WM_SOCKET_DEAD          0x0374
#define WM_POPMESSAGESTRING     0x0375  // wParam = id (AFX_IDS_IDLEMESSAGE: the idle prompt)

// WM_FLOATSTATUS flags.
#define FS_SHOW                 0x01
#define FS_HIDE                 0x02
#define FS_ACTIVATE             0x04
#define FS_DEACTIVATE           0x08
#define FS_ENABLE               0x10
#define FS_DISABLE              0x20
#define FS_SYNCACTIVE           0x40

// Parameters of WM_SIZEPARENT: each bar cuts its room out of rect and defers
// its move into hDWP; with a null hDWP it only measures (sizeTotal).
struct AFX_SIZEPARENTPARAMS
{
    HDWP hDWP;
    RECT rect;
    SIZE sizeTotal;
    BOOL bStretch;
};

// The parameters of a reflected WM_CTLCOLOR* message (lParam of
// WM_REFLECT_BASE + WM_CTLCOLOR) and of the parent's WM_CTLCOLOR entry.
struct AFX_CTLCOLOR
{
    HWND hWnd;
    HDC hDC;
    UINT nCtlType;
};

// Moves a window as part of a WM_SIZEPARENT layout pass (deferred), or at
// once when lpLayout is NULL; nothing when the window is already there.
void AFXAPI AfxRepositionWindow(AFX_SIZEPARENTPARAMS* lpLayout, HWND hWnd, LPCRECT lpRect);

// TRUE when hWndChild is hWndParent or lies below it (owners count as parents).
BOOL AFXAPI AfxIsDescendant(HWND hWndParent, HWND hWndChild);

// Sets a window's text only when it differs (no flicker, no EN_CHANGE).
void AFXAPI AfxSetWindowText(HWND hWndCtrl, LPCTSTR lpszNew);

// The place of the access key a caption marks: the character after its
// first single '&' ("&&" writes a literal '&' and marks nothing); -1 when it
// marks none (no single '&', or one that ends the caption).
int AFXAPI AfxFindAccessKey(LPCTSTR lpszText);

// Pumps one message through the thread's PreTranslateMessage walk; FALSE
// when it was WM_QUIT, which is posted again so that the loops around the
// caller's end too.
BOOL AFXAPI AfxPumpMessage();

// Whether a message should restart idle processing (mouse moves that do not
// move and the blinking caret's timer do not).
BOOL AFXAPI AfxIsIdleMessage(MSG* pMsg);

// Help ids: a command's, a resource's (a frame's or a dialog's id), a
// prompt's, a non-client area's (the hit-test code) and a control's.
#ifndef HID_BASE_COMMAND
#define HID_BASE_COMMAND    0x00010000UL
#define HID_BASE_RESOURCE   0x00020000UL
#define HID_BASE_PROMPT     0x00030000UL
#define HID_BASE_NCAREAS    0x00040000UL
#define HID_BASE_CONTROL    0x00050000UL
#endif

#endif // BM_AFXPRIV_H
