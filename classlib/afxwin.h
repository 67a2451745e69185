// afxwin.h - the window half of the class library: command targets and
// message maps, windows, the application and its message loop, frames and
// control bars, documents and views, dialogs and data exchange.
//
// Classes declared here, and where they are implemented (classlib/window/):
//   CCmdTarget, CCmdUI, CWaitCursor    cmdtarget.cpp (message maps, routing)
//   CTestCmdUI                         inline (the dispatch in wnd.cpp uses it)
//   CWnd                               wnd.cpp (maps, creation hook, dispatch,
//                                      modal loop), wnd_family.cpp (parents,
//                                      owners, layout, dialog controls),
//                                      wnd_wrappers.cpp (thin API wrappers),
//                                      wnd_tooltips.cpp (EnableToolTips)
//   CWinThread                         thread.cpp (pump, walk, idle)
//   CWinApp, CCommandLineInfo          app.cpp, app_dialogs.cpp, profile.cpp
//   CRecentFileList                    recent.cpp
//   CFrameWnd, CMiniFrameWnd,
//   CMDIFrameWnd, CMDIChildWnd         frame_mdi.cpp
//   CControlBar                        bar.cpp
//   CDocument, CDocTemplate,
//   CSingleDocTemplate                 doc.cpp
//   CView                              view.cpp
//   CDialog                            dialog.cpp
//   CDataExchange, DDX_/DDV_           ddx.cpp
// GDI objects and DCs are in afxgdi.h, controls in afxctrls.h and afxcmn.h,
// bars in afxext.h, dialogs of the system in afxdlgs.h.
#ifndef BM_AFXWIN_H
#define BM_AFXWIN_H

#include <afx.h>
#include <afxcoll.h>
#include <commctrl.h>
#include <shellapi.h>

#include "afxgdi.h"
#include "afxpriv.h"

#include <vector>
#include "../resources/classlib_res.h"

#ifndef afx_msg
#define afx_msg
#endif

// winuser.h makes GetNextWindow a macro, which would rename CWnd's member.
#ifdef GetNextWindow
#undef GetNextWindow
inline HWND GetNextWindow(HWND hWnd, UINT wCmd) { return ::GetWindow(hWnd, wCmd); }
#endif

class CCmdTarget;
class CCmdUI;
class CWnd;
class CFrameWnd;
class CView;
class CDocument;
class CDocTemplate;
class CWinThread;
class CWinApp;
class CControlBar;
class CDataExchange;
class CDialog;
class CMDIChildWnd;
class CMDIFrameWnd;
class CPrintDialog;
class CRecentFileList;
class CPrintInfo;
class CPreviewView;
class CScrollBar;
class CListBox;
class CTabCtrl;
struct CCreateContext;
struct WSAData;

// Win16 name of the WM_CTLCOLOR* family; the message map uses it for all of them.
#ifndef WM_CTLCOLOR
#define WM_CTLCOLOR 0x0019
#endif

// Message reflection: a control's parent sends it its own notifications as
// WM_REFLECT_BASE + message.
#define WM_REFLECT_BASE 0xBC00

// Command codes of OnCmdMsg
#define CN_COMMAND 0               // void (), or BOOL (UINT) for ON_COMMAND_EX
#define CN_UPDATE_COMMAND_UI ((UINT)(-1))  // pExtra = CCmdUI*
#define CN_EVENT ((UINT)(-2))
#define CN_OLECOMMAND ((UINT)(-3))

// Command ids below 0x8000 (and the standard ones above 0xE000) are commands.
#define IS_COMMAND_ID(nID) ((nID) != 0 && (nID) < 0xF000)

// Window state flags (CWnd::m_nFlags)
#define WF_TOOLTIPS          0x0001
#define WF_TEMPHIDE          0x0002
#define WF_STAYDISABLED      0x0004
#define WF_MODALLOOP         0x0008
#define WF_CONTINUEMODAL     0x0010
#define WF_STAYACTIVE        0x0020
#define WF_NOPOPMSG          0x0040
#define WF_MODALDISABLE      0x0200
#define WF_TRACKINGTOOLTIPS  0x0400
#define WF_KEEPMINIACTIVE    0x0800

// Private TOOLINFO flags that OnToolHitTest may set: the tool is not a
// button, and its tip shows even while the window's frame is inactive.
// They are cleared before the record reaches the tip control.
#define TTF_NOTBUTTON        0x80000000L
#define TTF_ALWAYSTIP        0x40000000L

// RunModalLoop flags
#define MLF_NOIDLEMSG   0x0001  // no WM_ENTERIDLE to the owner
#define MLF_NOKICKIDLE  0x0002  // no WM_KICKIDLE to the window
#define MLF_SHOWONIDLE  0x0004  // show the window when the queue first goes idle

// Frame styles (the class-specific low bits of a frame's window style)
#define FWS_ADDTOTITLE   0x00008000L  // the document's name goes into the caption
#define FWS_PREFIXTITLE  0x00004000L  // "document - application" rather than the reverse
#define FWS_SNAPTOBARS   0x00002000L

// Mini-frame styles
#define MFS_SYNCACTIVE   0x00000100L  // keeps the owner's caption active
#define MFS_4THICKFRAME  0x00000200L
#define MFS_THICKFRAME   0x00000400L
#define MFS_MOVEFRAME    0x00000800L
#define MFS_BLOCKSYSMENU 0x00001000L

// Control-bar styles (CControlBar::m_dwStyle)
#define CBRS_ALIGN_LEFT     0x1000L
#define CBRS_ALIGN_TOP      0x2000L
#define CBRS_ALIGN_RIGHT    0x4000L
#define CBRS_ALIGN_BOTTOM   0x8000L
#define CBRS_ALIGN_ANY      0xF000L
#define CBRS_BORDER_LEFT    0x0100L
#define CBRS_BORDER_TOP     0x0200L
#define CBRS_BORDER_RIGHT   0x0400L
#define CBRS_BORDER_BOTTOM  0x0800L
#define CBRS_BORDER_ANY     0x0F00L
#define CBRS_TOOLTIPS       0x0010L
#define CBRS_FLYBY          0x0020L
#define CBRS_FLOAT_MULTI    0x0040L
#define CBRS_BORDER_3D      0x0080L
#define CBRS_HIDE_INPLACE   0x0008L
#define CBRS_SIZE_DYNAMIC   0x0004L
#define CBRS_SIZE_FIXED     0x0002L
#define CBRS_FLOATING       0x0001L
#define CBRS_GRIPPER        0x00400000L
#define CBRS_ORIENT_HORZ    (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)
#define CBRS_ORIENT_VERT    (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)
#define CBRS_ORIENT_ANY     (CBRS_ORIENT_HORZ | CBRS_ORIENT_VERT)
#define CBRS_ALL            0x0040FFFFL
#define CBRS_NOALIGN        0x00000000L
#define CBRS_LEFT           (CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT)
#define CBRS_TOP            (CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM)
#define CBRS_RIGHT          (CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT)
#define CBRS_BOTTOM         (CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP)

// Layout modes of CalcDynamicLayout
#define LM_STRETCH   0x01
#define LM_HORZ      0x02
#define LM_MRUWIDTH  0x04
#define LM_HORZDOCK  0x08
#define LM_VERTDOCK  0x10
#define LM_LENGTHY   0x20
#define LM_COMMIT    0x40

// Default window styles of views and control bars
#define AFX_WS_DEFAULT_VIEW (WS_CHILD | WS_VISIBLE | WS_BORDER)
// The first command id of the Window menu's list of MDI children.
#define AFX_IDM_FIRST_MDICHILD 0xFF00

// Window classes registered by the layer
#define AFX_WND_CLASS            "AfxWnd"
#define AFX_WNDFRAMEORVIEW_CLASS "AfxFrameOrView"
#define AFX_WNDCONTROLBAR_CLASS  "AfxControlBar"
#define AFX_WNDMDIFRAME_CLASS    "AfxMDIFrame"

// Members such as GetSafeHwnd may be called through a null pointer.  The
// compiler assumes `this` is never null, so the test hides the pointer behind
// an empty asm statement to keep it from being folded away.
inline bool AfxIsNullObjectPtr(const void* p)
{
    const void* q = p;
    __asm__("" : "+r"(q));
    return q == nullptr;
}

/////////////////////////////////////////////////////////////////////////////
// Message maps

// Arguments of one call through a message-map adapter.
struct AFX_MSGCALL
{
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    UINT nID;         // command / control id (commands and notifications)
    int nCode;        // notification code
    void* pExtra;     // CCmdUI*, AFX_NOTIFY*, AFX_CTLCOLOR*...
    LRESULT lResult;  // set by the adapter
};

// An adapter returns TRUE when the message counts as handled (for _EX
// entries: what the handler returned).
typedef BOOL (*AFX_MSGTHUNK)(CCmdTarget* pTarget, AFX_MSGCALL& call);

struct AFX_MSGMAP_ENTRY
{
    UINT nMessage;             // message (WM_COMMAND / WM_NOTIFY for commands; + WM_REFLECT_BASE when reflected)
    UINT nCode;                // notification code (WORD), CN_UPDATE_COMMAND_UI, or 0
    UINT nID;                  // first control / command id
    UINT nLastID;              // last id of a range
    UINT_PTR nSig;             // AfxSig_*
    AFX_MSGTHUNK pfn;          // the adapter; NULL ends the map
    const UINT* pnRegMessage;  // registered message (ON_REGISTERED_MESSAGE), else NULL
};

struct AFX_MSGMAP
{
    const AFX_MSGMAP* (PASCAL* pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// Kept for source compatibility; entries do not store member pointers.
typedef void (CCmdTarget::*AFX_PMSG)();

// What a code-0 OnCmdMsg query with an info pointer reports: who handles it.
struct AFX_CMDHANDLERINFO
{
    CCmdTarget* pTarget;
    const AFX_MSGMAP_ENTRY* pEntry;
};

// Extra data of WM_NOTIFY commands.
struct AFX_NOTIFY
{
    LRESULT* pResult;
    NMHDR* pNMHDR;
};

#define DECLARE_MESSAGE_MAP() \
protected: \
    static const AFX_MSGMAP* PASCAL GetThisMessageMap(); \
    virtual const AFX_MSGMAP* GetMessageMap() const;

#define BEGIN_MESSAGE_MAP(theClass, baseClass) \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const AFX_MSGMAP* PASCAL theClass::GetThisMessageMap() \
    { \
        typedef theClass ThisClass __attribute__((unused)); \
        typedef baseClass TheBaseClass; \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define BEGIN_TEMPLATE_MESSAGE_MAP(theClass, type_name, baseClass) \
    template <typename type_name> \
    const AFX_MSGMAP* theClass<type_name>::GetMessageMap() const { return GetThisMessageMap(); } \
    template <typename type_name> \
    const AFX_MSGMAP* PASCAL theClass<type_name>::GetThisMessageMap() \
    { \
        typedef theClass<type_name> ThisClass __attribute__((unused)); \
        typedef baseClass TheBaseClass; \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP() \
            { 0, 0, 0, 0, AfxSig_end, NULL, NULL } \
        }; \
        static const AFX_MSGMAP messageMap = { &TheBaseClass::GetThisMessageMap, &_messageEntries[0] }; \
        return &messageMap; \
    }

/////////////////////////////////////////////////////////////////////////////
// CCmdTarget: reference counting and message maps

class CCmdTarget : public CObject
{
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget();
    virtual ~CCmdTarget();

    // Routes a command: code CN_COMMAND (0) or a notification code, or
    // CN_UPDATE_COMMAND_UI with pExtra a CCmdUI*; MAKELONG(code, WM_NOTIFY)
    // with pExtra an AFX_NOTIFY*.  With pHandlerInfo, only reports whether a
    // handler exists (and which).
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    // Reference counting: the count starts at 1; at 0 OnFinalRelease deletes.
    DWORD InternalAddRef();
    DWORD InternalRelease();
    DWORD ExternalAddRef();
    DWORD ExternalRelease();
    DWORD ExternalQueryInterface(const void* iid, LPVOID* ppvObj);
    virtual DWORD InternalQueryInterface(const void* iid, LPVOID* ppvObj);
    virtual void OnFinalRelease();
    long m_dwRef;

    void EnableAutomation() {}
    virtual LPDISPATCH GetIDispatch(BOOL bAddRef);
    virtual BOOL IsInvokeAllowed(LONG /*dispid*/) { return TRUE; }

    // Wait cursor
    void BeginWaitCursor();
    void EndWaitCursor();
    void RestoreWaitCursor();

    // Looks an entry up in a map chain (NULL when absent).
    static const AFX_MSGMAP_ENTRY* PASCAL FindMessageEntry(const AFX_MSGMAP_ENTRY* lpEntry, UINT nMsg,
                                                           UINT nCode, UINT nID);

    DECLARE_MESSAGE_MAP()
};

// Waits with the hourglass for the lifetime of the object.
class CWaitCursor
{
public:
    CWaitCursor();
    ~CWaitCursor();
    void Restore();
};

/////////////////////////////////////////////////////////////////////////////
// CCmdUI: the state of one user-interface item being updated

class CCmdUI
{
public:
    CCmdUI();
    virtual ~CCmdUI() {}

    UINT m_nID;
    UINT m_nIndex;          // menu item or other index
    CMenu* m_pMenu;         // not NULL for menu items
    CMenu* m_pSubMenu;      // sub-menu of a popup item
    CMenu* m_pParentMenu;
    CWnd* m_pOther;         // not NULL for other windows (buttons, bars...)
    BOOL m_bEnableChanged;
    BOOL m_bContinueRouting;
    UINT m_nIndexMax;

    virtual void Enable(BOOL bOn = TRUE);
    virtual void SetCheck(int nCheck = 1);   // 0, 1 or 2 (indeterminate)
    virtual void SetRadio(BOOL bOn = TRUE);
    virtual void SetText(LPCTSTR lpszText);

    void ContinueRouting() { m_bContinueRouting = TRUE; }

    // Asks pTarget to update this item.  Without an update handler and with
    // bDisableIfNoHndler, the item is enabled exactly when a command handler
    // exists.  Id 0 and 0xFFFF are skipped.  TRUE when an update handler ran.
    BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);
};

// Records only whether the command is enabled (used before executing it).
class CTestCmdUI : public CCmdUI
{
public:
    CTestCmdUI() : m_bEnabled(TRUE) {}
    virtual void Enable(BOOL bOn = TRUE) { m_bEnabled = bOn; m_bEnableChanged = TRUE; }
    virtual void SetCheck(int) {}
    virtual void SetRadio(BOOL) {}
    virtual void SetText(LPCTSTR) {}
    BOOL m_bEnabled;
};

/////////////////////////////////////////////////////////////////////////////
// CWnd

// Exception reporting from window procedures, hooks and callbacks.  The
// default shows the message through AfxMessageBox; tests replace it.
// pException is NULL for exceptions that are not CException objects.
typedef void (AFXAPI* AFX_EXCEPTION_REPORT_HOOK)(LPCTSTR lpszDescription, CException* pException, const MSG* pMsg);
AFX_EXCEPTION_REPORT_HOOK AFXAPI AfxSetExceptionReportHook(AFX_EXCEPTION_REPORT_HOOK pfnHook);
// Reports an exception caught at a callback barrier (never throws).
void AFXAPI AfxReportCallbackException(LPCTSTR lpszWhere, CException* pException, const MSG* pMsg);

class CWnd : public CCmdTarget
{
    DECLARE_DYNCREATE(CWnd)
public:
    CWnd();
    explicit CWnd(HWND hWnd);   // a wrapper that owns nothing (wndTop and friends)
    virtual ~CWnd();

    HWND m_hWnd;
    WNDPROC m_pfnSuper;     // the window's original procedure (subclassed windows)
    HWND m_hWndOwner;       // owner kept in the object (GetOwner falls back to the parent)
    UINT m_nFlags;          // WF_*
    int m_nModalResult;     // of RunModalLoop

    static const CWnd wndTop;
    static const CWnd wndBottom;
    static const CWnd wndTopMost;
    static const CWnd wndNoTopMost;

    operator HWND() const { return GetSafeHwnd(); }
    // NULL for a null object pointer (pWnd->GetSafeHwnd() is allowed).
    HWND GetSafeHwnd() const { return AfxIsNullObjectPtr(this) ? NULL : m_hWnd; }
    BOOL operator==(const CWnd& wnd) const { return m_hWnd == wnd.m_hWnd; }
    BOOL operator!=(const CWnd& wnd) const { return m_hWnd != wnd.m_hWnd; }

    // Handle map: the permanent object of a window, or a temporary freed at idle.
    static CWnd* PASCAL FromHandle(HWND hWnd);
    static CWnd* PASCAL FromHandlePermanent(HWND hWnd);
    static void PASCAL DeleteTempMap();
    BOOL Attach(HWND hWndNew);
    HWND Detach();
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
    HWND UnsubclassWindow();

    // Creation (the object sees WM_NCCREATE/WM_CREATE through the creation hook)
    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                        CWnd* pParentWnd, UINT nID, CCreateContext* pContext = NULL);
    virtual BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                          int x, int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu,
                          LPVOID lpParam = NULL);
    virtual BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                          const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam = NULL);
    virtual BOOL DestroyWindow();

    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    virtual void PreSubclassWindow();
    virtual void PostNcDestroy();
    virtual void OnFinalRelease();

    // Message dispatch
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual BOOL ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // Sends the current message to the child's object (its reflect entries).
    static BOOL PASCAL ReflectLastMsg(HWND hWndChild, LRESULT* pResult = NULL);
    BOOL SendChildNotifyLastMsg(LRESULT* pResult = NULL);
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual WNDPROC* GetSuperWndProcAddr();
    LRESULT Default();   // the current message to the original procedure
    // The message being handled by this thread (saved around nested sends).
    static const MSG* PASCAL GetCurrentMessage();
    // Calls PreTranslateMessage from msg.hwnd up through parents/owners,
    // stopping at hWndStop.
    static BOOL PASCAL WalkPreTranslateTree(HWND hWndStop, MSG* pMsg);

    virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const;   // -1: no tool
    // The class library's tooltips for this window and its children: while
    // enabled (WF_TOOLTIPS), the thread's message walk passes the mouse
    // messages below the window to FilterToolTipMessage, which shows the
    // tool that OnToolHitTest finds in one tip window per thread.
    BOOL EnableToolTips(BOOL bEnable = TRUE);
    void FilterToolTipMessage(MSG* pMsg);
    // Hides the thread's tip (bKeys: only when a key is pressed).
    static void PASCAL CancelToolTips(BOOL bKeys = FALSE);
    virtual void CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType = adjustBorder);
    enum AdjustType { adjustBorder = 0, adjustOutside = 1 };
    virtual BOOL IsFrameWnd() const { return FALSE; }
    virtual void WinHelp(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT);
    virtual CScrollBar* GetScrollBarCtrl(int nBar) const;
    virtual LPUNKNOWN GetControlUnknown() { return NULL; }

    // Modal loop
    int RunModalLoop(DWORD dwFlags = 0);
    virtual BOOL ContinueModal();
    virtual void EndModalLoop(int nResult);

    // Data exchange
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    virtual void DoDataExchange(CDataExchange* pDX);
    void UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);
    BOOL ExecuteDlgInit(LPCTSTR lpszResourceName);
    BOOL ExecuteDlgInit(LPVOID lpResource);
    BOOL IsDialogMessage(LPMSG lpMsg);
    BOOL PreTranslateInput(LPMSG lpMsg);

    // Family
    void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0, BOOL bDeep = TRUE,
                                  BOOL bOnlyPerm = FALSE);
    static void PASCAL SendMessageToDescendants(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam,
                                                BOOL bDeep, BOOL bOnlyPerm);
    BOOL IsTopParentActive() const;
    CWnd* GetTopLevelParent() const;
    CWnd* GetTopLevelOwner() const;
    CWnd* GetParentOwner() const;
    CFrameWnd* GetParentFrame() const;
    CFrameWnd* GetTopLevelFrame() const;
    CWnd* EnsureTopLevelParent() const;
    CWnd* GetDescendantWindow(int nID, BOOL bOnlyPerm = FALSE) const;
    static CWnd* PASCAL GetSafeOwner(CWnd* pParent = NULL, HWND* pWndTop = NULL);
    static HWND PASCAL GetSafeOwner_(HWND hWnd, HWND* pWndTop);

    enum RepositionFlags { reposDefault = 0, reposQuery = 1, reposExtra = 2, reposNoPosLeftOver = 0x8000 };
    void RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlag = reposDefault,
                        LPRECT lpRectParam = NULL, LPCRECT lpRectClient = NULL, BOOL bStretch = TRUE);
    void CenterWindow(CWnd* pAlternateOwner = NULL);

    // Styles
    DWORD GetStyle() const;
    DWORD GetExStyle() const;
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    BOOL ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    static BOOL PASCAL ModifyStyle(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags);
    static BOOL PASCAL ModifyStyleEx(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags);

    // Text, ids, fonts, icons
    void SetWindowText(LPCTSTR lpszString);
    int GetWindowText(LPTSTR lpszStringBuf, int nMaxCount) const;
    void GetWindowText(CString& rString) const;
    int GetWindowTextLength() const;
    void SetFont(CFont* pFont, BOOL bRedraw = TRUE);
    CFont* GetFont() const;
    int GetDlgCtrlID() const;
    int SetDlgCtrlID(int nID);
    HICON SetIcon(HICON hIcon, BOOL bBigIcon);
    HICON GetIcon(BOOL bBigIcon) const;
    BOOL SetWindowContextHelpId(DWORD dwContextHelpId);
    DWORD GetWindowContextHelpId() const;

    // Size and position
    void GetWindowRect(LPRECT lpRect) const;
    void GetClientRect(LPRECT lpRect) const;
    void ClientToScreen(LPPOINT lpPoint) const;
    void ClientToScreen(LPRECT lpRect) const;
    void ScreenToClient(LPPOINT lpPoint) const;
    void ScreenToClient(LPRECT lpRect) const;
    void MapWindowPoints(CWnd* pwndTo, LPPOINT lpPoint, UINT nCount) const;
    void MapWindowPoints(CWnd* pwndTo, LPRECT lpRect) const;
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);
    void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE);
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
    BOOL GetWindowPlacement(WINDOWPLACEMENT* lpwndpl) const;
    BOOL SetWindowPlacement(const WINDOWPLACEMENT* lpwndpl);
    int SetWindowRgn(HRGN hRgn, BOOL bRedraw);
    int GetWindowRgn(HRGN hRgn) const;
    BOOL IsIconic() const;
    BOOL IsZoomed() const;
    void BringWindowToTop();
    BOOL ShowWindow(int nCmdShow);
    BOOL IsWindowVisible() const;
    void ShowOwnedPopups(BOOL bShow = TRUE);
    BOOL CloseWindow();
    BOOL OpenIcon();

    // Painting
    void Invalidate(BOOL bErase = TRUE);
    void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE);
    void InvalidateRgn(CRgn* pRgn, BOOL bErase = TRUE);
    void ValidateRect(LPCRECT lpRect);
    void ValidateRgn(CRgn* pRgn);
    BOOL RedrawWindow(LPCRECT lpRectUpdate = NULL, CRgn* prgnUpdate = NULL,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    void UpdateWindow();
    BOOL GetUpdateRect(LPRECT lpRect, BOOL bErase = FALSE);
    int GetUpdateRgn(CRgn* pRgn, BOOL bErase = FALSE);
    void SetRedraw(BOOL bRedraw = TRUE);
    BOOL LockWindowUpdate();
    void UnlockWindowUpdate();
    CDC* GetDC();
    CDC* GetWindowDC();
    CDC* GetDCEx(CRgn* prgnClip, DWORD flags);
    int ReleaseDC(CDC* pDC);
    CDC* BeginPaint(LPPAINTSTRUCT lpPaint);
    void EndPaint(LPPAINTSTRUCT lpPaint);
    void Print(CDC* pDC, DWORD dwFlags) const;
    void PrintClient(CDC* pDC, DWORD dwFlags) const;
    BOOL FlashWindow(BOOL bInvert);

    // Scrolling
    void ScrollWindow(int xAmount, int yAmount, LPCRECT lpRect = NULL, LPCRECT lpClipRect = NULL);
    int ScrollWindowEx(int dx, int dy, LPCRECT lpRectScroll, LPCRECT lpRectClip, CRgn* prgnUpdate,
                       LPRECT lpRectUpdate, UINT flags);
    void ShowScrollBar(UINT nBar, BOOL bShow = TRUE);
    BOOL EnableScrollBar(int nSBFlags, UINT nArrowFlags = ESB_ENABLE_BOTH);
    int GetScrollPos(int nBar) const;
    int SetScrollPos(int nBar, int nPos, BOOL bRedraw = TRUE);
    void GetScrollRange(int nBar, LPINT lpMinPos, LPINT lpMaxPos) const;
    void SetScrollRange(int nBar, int nMinPos, int nMaxPos, BOOL bRedraw = TRUE);
    BOOL GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask = SIF_ALL);
    BOOL SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw = TRUE);
    int GetScrollLimit(int nBar);

    // Timers, capture, focus, activation
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, void (CALLBACK* lpfnTimer)(HWND, UINT, UINT_PTR, DWORD) = NULL);
    BOOL KillTimer(UINT_PTR nIDEvent);
    CWnd* SetCapture();
    static CWnd* PASCAL GetCapture();
    static BOOL PASCAL ReleaseCapture();
    CWnd* SetFocus();
    static CWnd* PASCAL GetFocus();
    CWnd* SetActiveWindow();
    static CWnd* PASCAL GetActiveWindow();
    BOOL SetForegroundWindow();
    static CWnd* PASCAL GetForegroundWindow();
    static CWnd* PASCAL GetDesktopWindow();
    static CWnd* PASCAL FindWindow(LPCTSTR lpszClassName, LPCTSTR lpszWindowName);
    BOOL EnableWindow(BOOL bEnable = TRUE);
    BOOL IsWindowEnabled() const;
    void DragAcceptFiles(BOOL bAccept = TRUE);

    // Caret
    void CreateSolidCaret(int nWidth, int nHeight);
    void CreateGrayCaret(int nWidth, int nHeight);
    void ShowCaret();
    void HideCaret();
    static CPoint PASCAL GetCaretPos();
    static void PASCAL SetCaretPos(POINT point);

    // Menus
    CMenu* GetMenu() const;
    BOOL SetMenu(CMenu* pMenu);
    void DrawMenuBar();
    CMenu* GetSystemMenu(BOOL bRevert) const;

    // Window relations
    CWnd* GetParent() const;
    CWnd* SetParent(CWnd* pWndNewParent);
    CWnd* GetOwner() const;
    void SetOwner(CWnd* pOwnerWnd);
    CWnd* GetWindow(UINT nCmd) const;
    CWnd* GetNextWindow(UINT nFlag = GW_HWNDNEXT) const;
    CWnd* GetTopWindow() const;
    CWnd* GetLastActivePopup() const;
    BOOL IsChild(const CWnd* pWnd) const;
    static CWnd* PASCAL WindowFromPoint(POINT point);
    CWnd* ChildWindowFromPoint(POINT point) const;
    CWnd* ChildWindowFromPoint(POINT point, UINT nFlags) const;
    CWnd* GetNextDlgTabItem(CWnd* pWndCtl, BOOL bPrevious = FALSE) const;
    CWnd* GetNextDlgGroupItem(CWnd* pWndCtl, BOOL bPrevious = FALSE) const;

    // Messages
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL SendNotifyMessage(UINT message, WPARAM wParam, LPARAM lParam) const;
    int MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption = NULL, UINT nType = MB_OK);

    // Dialog items
    CWnd* GetDlgItem(int nID) const;
    void GetDlgItem(int nID, HWND* phWnd) const;
    void CheckDlgButton(int nIDButton, UINT nCheck);
    UINT IsDlgButtonChecked(int nIDButton) const;
    void CheckRadioButton(int nIDFirstButton, int nIDLastButton, int nIDCheckButton);
    int GetCheckedRadioButton(int nIDFirstButton, int nIDLastButton);
    void SetDlgItemText(int nID, LPCTSTR lpszString);
    int GetDlgItemText(int nID, LPTSTR lpStr, int nMaxCount) const;
    int GetDlgItemText(int nID, CString& rString) const;
    void SetDlgItemInt(int nID, UINT nValue, BOOL bSigned = TRUE);
    UINT GetDlgItemInt(int nID, BOOL* lpTrans = NULL, BOOL bSigned = TRUE) const;
    LRESULT SendDlgItemMessage(int nID, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

    // Default handlers: each passes the message on (Default()).
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg BOOL OnNcCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnNcDestroy();
    afx_msg void OnClose();
    afx_msg void OnPaint();
    afx_msg void OnNcPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPrintClient(CDC* pDC, UINT nFlags);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnSizing(UINT fwSide, LPRECT pRect);
    afx_msg void OnMove(int x, int y);
    afx_msg void OnMoving(UINT fwSide, LPRECT pRect);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnMButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    afx_msg void OnMouseHover(UINT nFlags, CPoint point);
    afx_msg void OnMouseLeave();
    afx_msg void OnNcMouseLeave();
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnNcMouseMove(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonUp(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
    afx_msg void OnNcRButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnNcRButtonUp(UINT nHitTest, CPoint point);
    afx_msg void OnNcRButtonDblClk(UINT nHitTest, CPoint point);
    afx_msg void OnNcMButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnNcMButtonUp(UINT nHitTest, CPoint point);
    afx_msg void OnNcMButtonDblClk(UINT nHitTest, CPoint point);
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg BOOL OnNcActivate(BOOL bActive);
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
    afx_msg void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    afx_msg int OnCompareItem(int nIDCtl, LPCOMPAREITEMSTRUCT lpCompareItemStruct);
    afx_msg void OnDeleteItem(int nIDCtl, LPDELETEITEMSTRUCT lpDeleteItemStruct);
    afx_msg int OnCharToItem(UINT nChar, CListBox* pListBox, UINT nIndex);
    afx_msg int OnVKeyToItem(UINT nKey, CListBox* pListBox, UINT nIndex);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnDeadChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSysKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSysChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSysDeadChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint pos);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    afx_msg void OnWindowPosChanging(WINDOWPOS* lpwndpos);
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    afx_msg void OnSysColorChange();
    afx_msg void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    afx_msg void OnWinIniChange(LPCTSTR lpszSection);
    afx_msg void OnFontChange();
    afx_msg void OnTimeChange();
    afx_msg LRESULT OnThemeChanged();
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg void OnActivateApp(BOOL bActive, DWORD dwThreadID);
    afx_msg void OnEnable(BOOL bEnable);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg UINT OnGetDlgCode();
    afx_msg void OnInitMenu(CMenu* pMenu);
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    afx_msg LRESULT OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu);
    afx_msg void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu);
    afx_msg void OnEnterMenuLoop(BOOL bIsTrackPopupMenu);
    afx_msg void OnExitMenuLoop(BOOL bIsTrackPopupMenu);
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg void OnDropFiles(HDROP hDropInfo);
    afx_msg void OnStyleChanged(int nStyleType, LPSTYLESTRUCT lpStyleStruct);
    afx_msg void OnStyleChanging(int nStyleType, LPSTYLESTRUCT lpStyleStruct);
    afx_msg void OnEnterIdle(UINT nWhy, CWnd* pWho);
    afx_msg BOOL OnHelpInfo(HELPINFO* lpHelpInfo);
    afx_msg void OnCancelMode();
    afx_msg void OnChildActivate();
    afx_msg void OnEnterSizeMove();
    afx_msg void OnExitSizeMove();
    afx_msg void OnParentNotify(UINT message, LPARAM lParam);
    afx_msg BOOL OnQueryEndSession();
    afx_msg void OnEndSession(BOOL bEnding);
    afx_msg BOOL OnQueryNewPalette();
    afx_msg void OnPaletteChanged(CWnd* pFocusWnd);
    afx_msg HCURSOR OnQueryDragIcon();
    afx_msg BOOL OnCopyData(CWnd* pWnd, COPYDATASTRUCT* pCopyDataStruct);
    afx_msg void OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd);

    DECLARE_MESSAGE_MAP()

public:
    // Internal: clean-up at WM_NCDESTROY (unmap, restore the procedure, PostNcDestroy).
    void NcDestroyCleanup();
    BOOL IsMapped() const { return (m_nFlags & 0x80000000u) != 0; }

protected:
    // Looks up and calls a window-message entry; TRUE when handled.
    BOOL DispatchWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, void* pExtra, LRESULT* pResult);
};

// The layer's window procedure (every object window is subclassed to it).
LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
WNDPROC AFXAPI AfxGetAfxWndProc();
// Calls pWnd->WindowProc with the current message kept and the exception barrier.
LRESULT AFXAPI AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam = 0, LPARAM lParam = 0);
// Arms the creation hook: the next window created on this thread is attached
// to pWnd (and subclassed) before it gets its first message.
void AFXAPI AfxHookWindowCreate(CWnd* pWnd);
// Disarms it; FALSE when the hook never fired.
BOOL AFXAPI AfxUnhookWindowCreate();

/////////////////////////////////////////////////////////////////////////////
// CWinThread / CWinApp

class CWinThread : public CCmdTarget
{
    DECLARE_DYNAMIC(CWinThread)
public:
    CWinThread();
    CWinThread(UINT (AFX_CDECL* pfnThreadProc)(LPVOID), LPVOID pParam);
    virtual ~CWinThread();

    BOOL CreateThread(DWORD dwCreateFlags = 0, UINT nStackSize = 0, LPSECURITY_ATTRIBUTES lpSecurityAttrs = NULL);

    CWnd* m_pMainWnd;       // the main window (its WM_NCDESTROY ends the thread)
    CWnd* m_pActiveWnd;
    BOOL m_bAutoDelete;
    HANDLE m_hThread;
    DWORD m_nThreadID;
    MSG m_msgCur;           // the message being pumped
    LPVOID m_pThreadParams;
    UINT (AFX_CDECL* m_pfnThreadProc)(LPVOID);

    operator HANDLE() const { return AfxIsNullObjectPtr(this) ? NULL : m_hThread; }
    virtual CWnd* GetMainWnd();
    int GetThreadPriority();
    BOOL SetThreadPriority(int nPriority);
    DWORD SuspendThread();
    DWORD ResumeThread();
    BOOL PostThreadMessage(UINT message, WPARAM wParam, LPARAM lParam);

    virtual BOOL InitInstance();
    virtual int ExitInstance();
    virtual int Run();
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual BOOL PumpMessage();        // FALSE on WM_QUIT
    virtual BOOL OnIdle(LONG lCount);  // TRUE: more idle work to do
    virtual BOOL IsIdleMessage(MSG* pMsg);
    virtual LRESULT ProcessWndProcException(CException* e, const MSG* pMsg);
    virtual void Delete();
    BOOL DispatchThreadMessageEx(MSG* pMsg);

    DECLARE_MESSAGE_MAP()
};

typedef UINT (AFX_CDECL* AFX_THREADPROC)(LPVOID);
CWinThread* AFXAPI AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int nPriority = THREAD_PRIORITY_NORMAL,
                                  UINT nStackSize = 0, DWORD dwCreateFlags = 0,
                                  LPSECURITY_ATTRIBUTES lpSecurityAttrs = NULL);
CWinThread* AFXAPI AfxBeginThread(CRuntimeClass* pThreadClass, int nPriority = THREAD_PRIORITY_NORMAL,
                                  UINT nStackSize = 0, DWORD dwCreateFlags = 0,
                                  LPSECURITY_ATTRIBUTES lpSecurityAttrs = NULL);
void AFXAPI AfxEndThread(UINT nExitCode, BOOL bDelete = TRUE);

// The standard command line of a document program.
class CCommandLineInfo : public CObject
{
public:
    CCommandLineInfo();
    virtual ~CCommandLineInfo();
    virtual void ParseParam(const TCHAR* pszParam, BOOL bFlag, BOOL bLast);

    BOOL m_bShowSplash;
    BOOL m_bRunEmbedded;
    BOOL m_bRunAutomated;
    enum { FileNew, FileOpen, FilePrint, FilePrintTo, FileDDE, AppRegister, AppUnregister, FileNothing = -1 }
        m_nShellCommand;
    CString m_strFileName;
    CString m_strPrinterName;
    CString m_strDriverName;
    CString m_strPortName;

protected:
    void ParseParamFlag(const char* pszParam);
    void ParseParamNotFlag(const TCHAR* pszParam);
    void ParseLast(BOOL bLast);
};

// The list of recently used files kept in the profile.
#define AFX_ABBREV_FILENAME_LEN 30
class CRecentFileList
{
public:
    CRecentFileList(UINT nStart, LPCTSTR lpszSection, LPCTSTR lpszEntryFormat, int nSize,
                    int nMaxDispLen = AFX_ABBREV_FILENAME_LEN);
    virtual ~CRecentFileList();

    int GetSize() const { return m_nSize; }
    CString& operator[](int nIndex);
    virtual void Remove(int nIndex);
    virtual void Add(LPCTSTR lpszPathName);
    // The name shown in a menu: the file name when it lies in lpszCurDir,
    // else the path shortened to the maximum display length.  FALSE when
    // the entry is empty.
    virtual BOOL GetDisplayName(CString& strName, int nIndex, LPCTSTR lpszCurDir, int nCurDir,
                                BOOL bAtLeastName = TRUE) const;
    virtual void UpdateMenu(CCmdUI* pCmdUI);
    virtual void ReadList();
    virtual void WriteList();

    int m_nSize;
    CString* m_arrNames;
    CString m_strSectionName;
    CString m_strEntryFormat;
    UINT m_nStart;
    int m_nMaxDisplayLength;
    CString m_strOriginal;   // text of the menu item the list replaces
};

class CWinApp : public CWinThread
{
    DECLARE_DYNAMIC(CWinApp)
public:
    explicit CWinApp(LPCTSTR lpszAppName = NULL);
    virtual ~CWinApp();

    HINSTANCE m_hInstance;
    HINSTANCE m_hPrevInstance;
    LPTSTR m_lpCmdLine;
    int m_nCmdShow;
    // malloc'ed strings (free() them before replacing)
    LPCTSTR m_pszAppName;       // from AFX_IDS_APP_TITLE, else the module name
    LPCTSTR m_pszRegistryKey;   // set by SetRegistryKey; NULL: the INI file is used
    LPCTSTR m_pszExeName;       // module name without extension
    LPCTSTR m_pszHelpFilePath;
    LPCTSTR m_pszProfileName;   // the app name after SetRegistryKey, else the INI path
    CRecentFileList* m_pRecentFileList;
    int m_nNumPreviewPages;
    HCURSOR m_hcurWaitCursorRestore;
    int m_nWaitCursorCount;

    virtual BOOL InitApplication();
    virtual BOOL InitInstance();
    virtual int ExitInstance();
    virtual int Run();
    virtual BOOL OnIdle(LONG lCount);
    virtual int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt);
    virtual void DoWaitCursor(int nCode);   // 1 begin, -1 end, 0 restore
    virtual BOOL SaveAllModified();
    virtual void CloseAllDocuments(BOOL bEndSession);
    virtual void HideApplication();
    virtual void AddToRecentFileList(LPCTSTR lpszPathName);
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszFileName);
    virtual BOOL DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                                  CDocTemplate* pTemplate);
    virtual void WinHelp(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT);
    // Disables (FALSE) or enables again (TRUE) the modeless windows of the
    // main frame while a modal window with its own loop runs.
    void EnableModeless(BOOL bEnable) { DoEnableModeless(bEnable); }
    virtual void DoEnableModeless(BOOL bEnable);

    // Document templates (owned by the application)
    void AddDocTemplate(CDocTemplate* pTemplate);
    POSITION GetFirstDocTemplatePosition() const;
    CDocTemplate* GetNextDocTemplate(POSITION& pos) const;
    int GetOpenDocumentCount();

    // Command line
    void ParseCommandLine(CCommandLineInfo& rCmdInfo);
    BOOL ProcessShellCommand(CCommandLineInfo& rCmdInfo);
    // The command line being carried out while /p or /pt prints (the
    // printer of /pt is read from it), else null.
    CCommandLineInfo* m_pCmdInfo = nullptr;

    // Profile (HKCU\Software\<key>\<profile> after SetRegistryKey, else an INI file)
    void SetRegistryKey(LPCTSTR lpszRegistryKey);
    void SetRegistryKey(UINT nIDRegistryKey);
    HKEY GetAppRegistryKey();                   // created if absent; the caller closes it
    HKEY GetSectionKey(LPCTSTR lpszSection);    // created if absent; the caller closes it
    UINT GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault);
    BOOL WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue);
    CString GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault = NULL);
    // A NULL entry deletes the whole section; a NULL value deletes the entry.
    BOOL WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue);
    // *ppData is a new[] buffer the caller deletes; FALSE when absent.
    BOOL GetProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE* ppData, UINT* pBytes);
    BOOL WriteProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE pData, UINT nBytes);
    LONG DelRegTree(HKEY hParentKey, const CString& strKeyName);
    void LoadStdProfileSettings(UINT nMaxMRU = 4);
    void SaveStdProfileSettings();

    // Standard commands
    afx_msg void OnFileNew();
    afx_msg void OnFileOpen();
    afx_msg void OnFilePrintSetup();
    afx_msg void OnAppExit();
    afx_msg void OnHelp();
    afx_msg BOOL OnOpenRecentFile(UINT nID);
    afx_msg void OnUpdateRecentFileMenu(CCmdUI* pCmdUI);

    CPtrList m_templateList;   // CDocTemplate*

    // The printer chosen in Print Setup (global memory owned by the application).
    HGLOBAL m_hDevMode;
    HGLOBAL m_hDevNames;
    BOOL GetPrinterDeviceDefaults(PRINTDLG* pPrintDlg);
    void UpdatePrinterSelection(BOOL bForceDefaults);
    INT_PTR DoPrintDialog(CPrintDialog* pPD);

protected:
    DECLARE_MESSAGE_MAP()
};

/////////////////////////////////////////////////////////////////////////////
// Frames

struct CCreateContext
{
    CCreateContext() : m_pNewViewClass(NULL), m_pCurrentDoc(NULL), m_pNewDocTemplate(NULL),
                       m_pLastView(NULL), m_pCurrentFrame(NULL) {}
    CRuntimeClass* m_pNewViewClass;
    CDocument* m_pCurrentDoc;
    CDocTemplate* m_pNewDocTemplate;
    CView* m_pLastView;
    CFrameWnd* m_pCurrentFrame;
};

class CFrameWnd : public CWnd
{
    DECLARE_DYNCREATE(CFrameWnd)
public:
    static const CRect rectDefault;

    CFrameWnd();
    virtual ~CFrameWnd();

    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle = WS_OVERLAPPEDWINDOW,
                const RECT& rect = rectDefault, CWnd* pParentWnd = NULL, LPCTSTR lpszMenuName = NULL,
                DWORD dwExStyle = 0, CCreateContext* pContext = NULL);
    // Window class with the resource's icon, menu, accelerators and title
    // (the first field of the resource's string).
    virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* pParentWnd = NULL, CCreateContext* pContext = NULL);
    BOOL LoadAccelTable(LPCTSTR lpszResourceName);
    CView* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);

    // Active view and document
    virtual CFrameWnd* GetActiveFrame();
    CView* GetActiveView() const;
    void SetActiveView(CView* pViewNew, BOOL bNotify = TRUE);
    virtual CDocument* GetActiveDocument();
    void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);
    virtual void ActivateFrame(int nCmdShow = -1);
    void BringToTop(int nCmdShow);

    // Layout
    virtual void RecalcLayout(BOOL bNotify = TRUE);
    void DelayRecalcLayout(BOOL bNotify = TRUE);
    virtual BOOL NegotiateBorderSpace(UINT nBorderCmd, LPRECT lpRectBorder);
    enum BorderCmd { borderGet = 1, borderRequest = 2, borderSet = 3 };
    // Print preview: entering hides the menu, the control bars (the status
    // bar stays) and the main pane, and turns the frame's accelerators off;
    // leaving puts them back. pState is the CPrintPreviewState (afxpreview.h)
    // that keeps what was hidden from entering to leaving.
    virtual void OnSetPreviewMode(BOOL bPreview, void* pState);
    // Set while a print preview runs in the frame: closing the frame closes
    // the preview instead.
    BOOL (CALLBACK* m_lpfnCloseProc)(CFrameWnd* pFrameWnd) = nullptr;

    // Control bars
    CControlBar* GetControlBar(UINT nID);
    void ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay);
    void AddControlBar(CControlBar* pBar);
    void RemoveControlBar(CControlBar* pBar);
    void EnableDocking(DWORD dwDockStyle) { m_dwDockStyle = dwDockStyle; }
    virtual CWnd* GetMessageBar();
    afx_msg BOOL OnBarCheck(UINT nID);
    afx_msg void OnUpdateControlBarMenu(CCmdUI* pCmdUI);
    afx_msg void OnUpdateKeyIndicator(CCmdUI* pCmdUI);

    // Title and prompts
    virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
    void UpdateFrameTitleForDocument(LPCTSTR lpszDocName);
    void DelayUpdateFrameTitle() { m_nIdleFlags |= idleTitle; }
    virtual void OnUpdateFrameMenu(HMENU hMenuAlt);
    void DelayUpdateFrameMenu(HMENU hMenuAlt);
    virtual void GetMessageString(UINT nID, CString& rMessage) const;
    void SetMessageText(LPCTSTR lpszText);
    void SetMessageText(UINT nID);
    virtual HACCEL GetDefaultAccelerator();
    CString GetTitle() const { return m_strTitle; }
    void SetTitle(LPCTSTR lpszTitle) { m_strTitle = lpszTitle; }

    // Context help (help.cpp). Shift+F1 (a program maps ID_CONTEXT_HELP to
    // OnContextHelp) enters help mode: the help cursor shows over the frame's
    // windows, a click asks the window under it for a help id
    // (WM_HELPHITTEST, up through its parents) and the application's WinHelp
    // gets it; Escape leaves. In help mode menu commands give their help id
    // (0x10000 + id) instead of running. F1 (ID_HELP mapped to OnHelp) asks
    // the windows that have the mouse, the keyboard and the activation for a
    // help id (WM_COMMANDHELP) and falls back on the frame's own.
    afx_msg void OnContextHelp();
    afx_msg void OnHelp();
    afx_msg void OnUpdateContextHelp(CCmdUI* pCmdUI);
    afx_msg LRESULT OnCommandHelp(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnHelpHitTest(WPARAM wParam, LPARAM lParam);
    // Ends help mode (the loop of OnContextHelp returns).
    void ExitHelpMode();
    // Answers a tooltip's request for text (TTN_NEEDTEXT) of a tool whose
    // text is a callback: the tooltip part (after the '\n') of the string
    // resource of the tool's id, or of the child window's id.
    afx_msg BOOL OnToolTipText(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);

    // Modal state: disables the frame's windows while a modal window runs.
    void BeginModalState();
    void EndModalState();
    BOOL InModalState() const { return m_cModalStack != 0; }
    // Modeless dialogs owned by the frame are disabled while a modal window
    // that runs its own loop (a modeless property sheet) is up, and enabled
    // again afterwards; calls nest, only the outermost pair acts.
    virtual void EnableModeless(BOOL bEnable);
    BOOL IsModelessEnabled() const { return m_nModelessDisable == 0; }
    void NotifyFloatingWindows(DWORD dwFlags);
    virtual CFrameWnd* GetDockingFrame() { return this; }

    // Windows the frame owns (floating bars and panes, the splash, dialogs)
    // are kept in front of it on the screen. Under Wine the screen does not
    // follow the system's order (see screenorder.cpp), so after anything
    // that may have stacked the frame over them (the frame activated, shown,
    // raised or enabled again, a window of its family taking the focus,
    // moved in the order or shown) the frame asks for
    // KeepOwnedWindowsInFront; elsewhere that does nothing. Requests are
    // coalesced into one posted message, which runs RaiseOwnedWindows after
    // the system has finished restacking the frame.
    void KeepOwnedWindowsInFront();
    // Raises each visible window the frame owns, directly or through another
    // owned window, once, from the bottom up so that their order among
    // themselves stays; nothing is activated, and the family's topmost
    // windows (tips, menus) stay topmost above the others. Nothing is done
    // while the foreground window belongs to neither the frame nor a window
    // it owns (another program is in front), unless bActiveWindow: then
    // only while the active window of the frame's thread is the frame or a
    // window it owns (a frame another program restored is active so
    // without being the foreground window).
    // Returns the number of windows raised.
    int RaiseOwnedWindows(BOOL bActiveWindow = FALSE);
    // TRUE while a visible, not topmost window the frame owns lies below the
    // frame in the system's order.
    BOOL IsOwnedWindowBehind() const;

    virtual BOOL IsFrameWnd() const { return TRUE; }
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);
    virtual void PostNcDestroy();
    virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    int OnCreateHelper(LPCREATESTRUCT lpcs, CCreateContext* pContext);

    enum IdleFlags { idleMenu = 1, idleTitle = 2, idleNotify = 4, idleLayout = 8 };
    UINT m_nIdleFlags;
    HMENU m_hMenuDefault;        // the frame's menu (NULL once a menu bar took it over)
    HMENU m_hMenuAlt;
    HACCEL m_hAccelTable;        // the frame's accelerators
    CString m_strTitle;
    BOOL m_bAutoMenuEnable;      // menu items without handler are disabled
    BOOL m_bHelpMode;            // TRUE while context help mode runs (help.cpp)
    BOOL m_bInRecalcLayout;
    CRect m_rectBorder;          // space kept for in-place borders (reposExtra)
    CPtrList m_listControlBars;  // CControlBar*
    DWORD m_dwDockStyle;
    int m_nWindow;               // window number in the title (0: none)
    UINT m_nIDHelp;
    UINT m_nIDTracking;          // prompt being tracked (menu selection)
    UINT m_nIDLastMessage;       // prompt last shown
    CView* m_pViewActive;
    int m_cModalStack;
    HWND* m_phWndDisable;        // windows disabled by BeginModalState (NULL-terminated)
    int m_nModelessDisable;      // nesting of EnableModeless(FALSE)
    HWND* m_phWndModeless;       // dialogs disabled by EnableModeless (NULL-terminated)
    BOOL m_bRaiseOwnedPosted;    // a WM_RAISEOWNEDWINDOWS is on its way
    BOOL m_bRaisingOwned;        // RaiseOwnedWindows is running
    int m_nRaiseChecks;          // checks of the order still to come after a raise
    BOOL m_bFollowsScreenOrder;  // counted in AfxFollowScreenOrder while the window lives
    BOOL m_bRaiseAfterShow;      // with a window manager: the owned windows are to be raised once, the frame shown
    enum { kRaiseCheckTimer = 0xE7F0, kRaiseCheckMilliseconds = 100, kRaiseChecks = 10 };
    static void CALLBACK RaiseCheckTimerProc(HWND hWnd, UINT nMsg, UINT_PTR nIDEvent, DWORD dwTime);

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnDestroy();
    afx_msg void OnClose();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg BOOL OnNcActivate(BOOL bActive);
    afx_msg void OnEnable(BOOL bEnable);
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    afx_msg void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu);
    afx_msg void OnEnterIdle(UINT nWhy, CWnd* pWho);
    afx_msg BOOL OnQueryEndSession();
    afx_msg void OnEndSession(BOOL bEnding);
    afx_msg void OnDropFiles(HDROP hDropInfo);
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnPopMessageString(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnRecalcParent(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnActivateTopLevel(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnRaiseOwnedWindows(WPARAM wParam, LPARAM lParam);
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()
};

// A small tool window (floating bars, panes).  Deletes itself when destroyed.
class CMiniFrameWnd : public CFrameWnd
{
    DECLARE_DYNCREATE(CMiniFrameWnd)
public:
    CMiniFrameWnd();
    virtual ~CMiniFrameWnd();

    virtual BOOL Create(LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle, const RECT& rect,
                        CWnd* pParentWnd = NULL, UINT nID = 0);
    virtual BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle,
                          const RECT& rect, CWnd* pParentWnd = NULL, UINT nID = 0);
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    virtual void RecalcLayout(BOOL bNotify = TRUE);

    CString m_strCaption;

    afx_msg void OnClose();
    afx_msg LRESULT OnFloatStatus(WPARAM wParam, LPARAM lParam);
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    // Sends a pop-up mini frame's keyboard system command (the menu key, and
    // Alt+F4 when it is synchronised with its owner) to the owning frame;
    // FALSE when the mini frame runs it itself (miniframe.cpp).
    BOOL PassSysCommandToOwner(UINT nID, LPARAM lParam);
};

// The frame of a multiple-document program: an MDI client window (id
// AFX_IDW_PANE_FIRST, laid out in the room the bars leave) holds one child
// frame per open document window. Commands go to the active child first;
// the frame's menu follows the active child's document type (WM_MDISETMENU
// to the client) and the Window menu's commands arrange the children.
class CMDIFrameWnd : public CFrameWnd
{
    DECLARE_DYNCREATE(CMDIFrameWnd)
public:
    CMDIFrameWnd();
    virtual ~CMDIFrameWnd();

    HWND m_hWndMDIClient;

    // Creates the MDI client, which lists the children in pWindowMenu.
    virtual BOOL CreateClient(LPCREATESTRUCT lpCreateStruct, CMenu* pWindowMenu);
    // The Window popup of a menu bar: the popup holding ID_WINDOW_* commands
    // (else the last but one popup, the usual place); NULL when none.
    virtual HMENU GetWindowMenuPopup(HMENU hMenuBar);
    virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* pParentWnd = NULL, CCreateContext* pContext = NULL);

    // Operations on the children (through the MDI client).
    void MDIActivate(CWnd* pWndActivate);
    CMDIChildWnd* MDIGetActive(BOOL* pbMaximized = NULL) const;
    void MDIIconArrange();
    void MDIMaximize(CWnd* pWnd);
    void MDINext();
    void MDIPrev();
    void MDIRestore(CWnd* pWnd);
    CMenu* MDISetMenu(CMenu* pFrameMenu, CMenu* pWindowMenu);
    void MDITile();
    void MDITile(int nType);
    void MDICascade();
    void MDICascade(int nType);
    // A child of the class for the resource, with its menu and keys.
    CMDIChildWnd* CreateNewChild(CRuntimeClass* pClass, UINT nResource, HMENU hMenu = NULL, HACCEL hAccel = NULL);

    virtual CFrameWnd* GetActiveFrame();
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual HACCEL GetDefaultAccelerator();
    virtual void OnUpdateFrameMenu(HMENU hMenuAlt);
    virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    afx_msg BOOL OnMDIWindowCmd(UINT nID);
    afx_msg void OnUpdateMDIWindowCmd(CCmdUI* pCmdUI);
    afx_msg void OnWindowNew();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()
};

// A document window inside an MDI frame. It shares the menu and keys of its
// document type (m_hMenuShared, m_hAccelShared), which the frame shows
// while the child is active.
class CMDIChildWnd : public CFrameWnd
{
    DECLARE_DYNCREATE(CMDIChildWnd)
public:
    CMDIChildWnd();
    virtual ~CMDIChildWnd();

    // Creates the child inside pParentWnd's MDI client (the main window when
    // NULL), hidden until ActivateFrame shows it.
    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName,
                        DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, const RECT& rect = rectDefault,
                        CMDIFrameWnd* pParentWnd = NULL, CCreateContext* pContext = NULL);
    virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* pParentWnd = NULL, CCreateContext* pContext = NULL);
    virtual BOOL DestroyWindow();
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual void ActivateFrame(int nCmdShow = -1);
    virtual CFrameWnd* GetActiveFrame() { return this; }
    virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
    virtual void OnUpdateFrameMenu(HMENU hMenuAlt);
    // Shows this child's menu on the frame when bActive, the frame's own
    // when the last child goes.
    virtual void OnUpdateFrameMenu(BOOL bActive, CWnd* pActivateWnd, HMENU hMenuAlt);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    CMDIFrameWnd* GetMDIFrame();
    void MDIDestroy();
    void MDIActivate();
    void MDIMaximize();
    void MDIRestore();
    void SetHandles(HMENU hMenu, HACCEL hAccel);

    HMENU m_hMenuShared;    // the document type's menu (not owned)
    HACCEL m_hAccelShared;  // the document type's keys (not owned)

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg void OnSize(UINT nType, int cx, int cy);

    DECLARE_MESSAGE_MAP()
};

/////////////////////////////////////////////////////////////////////////////
// CControlBar

class CControlBar : public CWnd
{
    DECLARE_DYNAMIC(CControlBar)
protected:
    CControlBar();
public:
    virtual ~CControlBar();

    int GetCount() const { return m_nCount; }
    DWORD GetBarStyle() const { return m_dwStyle; }
    void SetBarStyle(DWORD dwStyle);
    virtual void OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle) {}
    void EnableDocking(DWORD dwDockStyle) { m_dwDockStyle = dwDockStyle; }
    CFrameWnd* GetDockingFrame() const;
    BOOL IsFloating() const { return (m_dwStyle & CBRS_FLOATING) != 0; }
    virtual BOOL IsVisible() const;
    void DelayShow(BOOL bShow);
    void SetBorders(int cxLeft = 0, int cyTop = 0, int cxRight = 0, int cyBottom = 0);
    void SetBorders(LPCRECT lpRect);
    CRect GetBorders() const { return CRect(m_cxLeftBorder, m_cyTopBorder, m_cxRightBorder, m_cyBottomBorder); }

    // Deflates rect by the bar's borders.
    virtual void CalcInsideRect(CRect& rect, BOOL bHorz) const;
    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    virtual CSize CalcDynamicLayout(int nLength, DWORD nMode);
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) = 0;
    virtual void DoPaint(CDC* pDC);
    virtual void DrawBorders(CDC* pDC, CRect& rect);

    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    virtual void PostNcDestroy();
    virtual LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam);
    virtual BOOL PreTranslateMessage(MSG* pMsg);

    enum StateFlags { delayHide = 1, delayShow = 2, tempHide = 4, statusSet = 8 };

    DWORD m_dwStyle;          // CBRS_*
    DWORD m_dwDockStyle;
    CFrameWnd* m_pDockSite;   // the frame whose bar list holds this bar
    CWnd* m_pDockBar;
    void* m_pDockContext;
    BOOL m_bAutoDelete;       // delete at WM_NCDESTROY
    int m_cxLeftBorder, m_cxRightBorder;
    int m_cyTopBorder, m_cyBottomBorder;
    int m_cxDefaultGap;
    UINT m_nMRUWidth;
    int m_nCount;
    UINT m_nStateFlags;

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnInitialUpdate(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

protected:
    // WM_SIZEPARENT helper: applies a delayed show/hide and answers the style.
    DWORD RecalcDelayShow(AFX_SIZEPARENTPARAMS* lpLayout);
};

/////////////////////////////////////////////////////////////////////////////
// Documents and views

class CDocument : public CCmdTarget
{
    DECLARE_DYNAMIC(CDocument)
public:
    CDocument();
    virtual ~CDocument();

    const CString& GetTitle() const { return m_strTitle; }
    virtual void SetTitle(LPCTSTR lpszTitle);
    const CString& GetPathName() const { return m_strPathName; }
    // Titles the document with the file name and extension; adds it to the
    // recent-file list when bAddToMRU.
    virtual void SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU = TRUE);
    virtual void ClearPathName() { m_strPathName.Empty(); }
    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }
    virtual BOOL IsModified() { return m_bModified; }
    virtual void SetModifiedFlag(BOOL bModified = TRUE) { m_bModified = bModified; }

    // Views
    virtual POSITION GetFirstViewPosition() const;
    virtual CView* GetNextView(POSITION& rPosition) const;
    void AddView(CView* pView);
    void RemoveView(CView* pView);
    void UpdateAllViews(CView* pSender, LPARAM lHint = 0L, CObject* pHint = NULL);
    virtual void OnChangedViewList();
    virtual void UpdateFrameCounts();

    // Operations
    virtual void DeleteContents();
    virtual BOOL OnNewDocument();
    virtual BOOL OnOpenDocument(LPCTSTR lpszPathName);
    virtual BOOL OnSaveDocument(LPCTSTR lpszPathName);
    virtual void OnCloseDocument();
    virtual void ReportSaveLoadException(LPCTSTR lpszPathName, CException* e, BOOL bSaving, UINT nIDPDefault);
    virtual CFile* GetFile(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError);
    virtual void ReleaseFile(CFile* pFile, BOOL bAbort);
    virtual BOOL CanCloseFrame(CFrameWnd* pFrame);
    virtual BOOL SaveModified();   // FALSE: the user cancelled
    virtual void PreCloseFrame(CFrameWnd* pFrame);
    virtual BOOL DoSave(LPCTSTR lpszPathName, BOOL bReplace = TRUE);
    virtual BOOL DoFileSave();
    virtual HMENU GetDefaultMenu() { return NULL; }
    virtual HACCEL GetDefaultAccelerator() { return NULL; }
    virtual void OnIdle() {}

    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    CString m_strTitle;
    CString m_strPathName;
    CDocTemplate* m_pDocTemplate;
    CPtrList m_viewList;
    BOOL m_bModified;
    BOOL m_bAutoDelete;   // delete when the last view goes
    BOOL m_bEmbedded;

    afx_msg void OnFileClose();
    afx_msg void OnFileSave();
    afx_msg void OnFileSaveAs();

    DECLARE_MESSAGE_MAP()
};

class CView : public CWnd
{
    DECLARE_DYNAMIC(CView)
protected:
    CView();
public:
    virtual ~CView();

    CDocument* GetDocument() const { return m_pDocument; }
    virtual BOOL IsSelected(const CObject* pDocItem) const;

    virtual void OnInitialUpdate();   // first time after construction
    virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);
    virtual void OnDraw(CDC* pDC) = 0;
    virtual void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = NULL);
    virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView);
    virtual void OnActivateFrame(UINT nState, CFrameWnd* pFrameWnd);

    // Printing hooks
    virtual BOOL OnPreparePrinting(CPrintInfo* pInfo);
    // Asks for the printer (the default one for direct printing and preview)
    // and leaves its DC in pInfo->m_pPD->m_pd.hDC; FALSE on cancel or when
    // there is no printer.
    BOOL DoPreparePrinting(CPrintInfo* pInfo);
    virtual void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnPrint(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo);
    // The end of a print preview: OnEndPrinting, then the frame leaves the
    // preview mode and this view is active again.
    virtual void OnEndPrintPreview(CDC* pDC, CPrintInfo* pInfo, POINT point, CPreviewView* pView);

    // The standard printing commands, for derived views to map: print
    // (57607, the print dialog first), direct print (57608 through the same
    // handler: the printer chosen in Print Setup, else the default one, or the
    // one the command line names) and print preview (57609).
    afx_msg void OnFilePrint();
    afx_msg void OnFilePrintPreview();
    // Shows the pages in a preview inside the frame; FALSE (nothing shown)
    // when there is no printer or the preview cannot be made.
    BOOL DoPrintPreview(CPrintInfo* pInfo);

    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    virtual void PostNcDestroy();
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    CDocument* m_pDocument;

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg void OnInitialUpdateMsg();

    DECLARE_MESSAGE_MAP()
};

class CDocTemplate : public CCmdTarget
{
    DECLARE_DYNAMIC(CDocTemplate)
protected:
    CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass, CRuntimeClass* pViewClass);
public:
    virtual ~CDocTemplate();

    enum DocStringIndex { windowTitle, docName, fileNewName, filterName, filterExt, regFileTypeId, regFileTypeName };
    // Field index of the resource's document string; FALSE past the last field.
    virtual BOOL GetDocString(CString& rString, enum DocStringIndex index) const;

    virtual POSITION GetFirstDocPosition() const = 0;
    virtual CDocument* GetNextDoc(POSITION& rPos) const = 0;
    virtual void AddDocument(CDocument* pDoc);
    virtual void RemoveDocument(CDocument* pDoc);
    virtual void LoadTemplate();

    enum Confidence { noAttempt, maybeAttemptForeign, maybeAttemptNative, yesAttemptForeign, yesAttemptNative,
                      yesAlreadyOpen };
    virtual Confidence MatchDocType(LPCTSTR lpszPathName, CDocument*& rpDocMatch);
    virtual CDocument* CreateNewDocument();
    virtual CFrameWnd* CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther);
    virtual void InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible = TRUE);
    virtual BOOL SaveAllModified();
    virtual void CloseAllDocuments(BOOL bEndSession);
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible = TRUE) = 0;
    virtual void SetDefaultTitle(CDocument* pDocument) = 0;

    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    UINT m_nIDResource;
    CRuntimeClass* m_pDocClass;
    CRuntimeClass* m_pFrameClass;
    CRuntimeClass* m_pViewClass;
    CString m_strDocStrings;
    BOOL m_bAutoDelete;
};

class CSingleDocTemplate : public CDocTemplate
{
    DECLARE_DYNAMIC(CSingleDocTemplate)
public:
    CSingleDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                       CRuntimeClass* pViewClass);
    virtual ~CSingleDocTemplate();

    virtual void AddDocument(CDocument* pDoc);
    virtual void RemoveDocument(CDocument* pDoc);
    virtual POSITION GetFirstDocPosition() const;
    virtual CDocument* GetNextDoc(POSITION& rPos) const;
    // First call: creates the document, the frame (the main window) and the
    // view.  Later: reuses the document (after SaveModified).
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible = TRUE);
    virtual void SetDefaultTitle(CDocument* pDocument);

    CDocument* m_pOnlyDoc;
};

// Any number of documents of one type, each in its own MDI child frame. The
// type's menu and keys (resource nIDResource) are shared by its children.
class CMultiDocTemplate : public CDocTemplate
{
    DECLARE_DYNAMIC(CMultiDocTemplate)
public:
    CMultiDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                      CRuntimeClass* pViewClass);
    virtual ~CMultiDocTemplate();

    virtual void LoadTemplate();
    virtual void AddDocument(CDocument* pDoc);
    virtual void RemoveDocument(CDocument* pDoc);
    virtual POSITION GetFirstDocPosition() const;
    virtual CDocument* GetNextDoc(POSITION& rPos) const;
    // Creates a document with its child frame and view: empty ("Name1",
    // "Name2"...) without a path, else read from the file.
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible = TRUE);
    virtual void SetDefaultTitle(CDocument* pDocument);

    HMENU m_hMenuShared;
    HACCEL m_hAccelTable;
    CPtrList m_docList;
    UINT m_nUntitledCount;   // the number of the last untitled document
};

/////////////////////////////////////////////////////////////////////////////
// Dialogs and data exchange

class CDialog : public CWnd
{
    DECLARE_DYNAMIC(CDialog)
public:
    CDialog();
    explicit CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd = NULL);
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = NULL);
    virtual ~CDialog();

    // Modeless
    virtual BOOL Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd = NULL);
    virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = NULL);
    virtual BOOL CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd = NULL, void* lpDialogInit = NULL);
    virtual BOOL CreateIndirect(HGLOBAL hDialogTemplate, CWnd* pParentWnd = NULL);
    using CWnd::Create;

    // Modal
    BOOL InitModalIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd = NULL, void* lpDialogInit = NULL);
    BOOL InitModalIndirect(HGLOBAL hDialogTemplate, CWnd* pParentWnd = NULL);
    // Disables the owner, runs the dialog in a modal loop and returns the
    // EndDialog value (-1 when the dialog could not be created).
    virtual INT_PTR DoModal();
    void EndDialog(int nResult);

    virtual BOOL OnInitDialog();   // runs UpdateData(FALSE)
    virtual void OnSetFont(CFont* pFont) {}
    virtual void OnOK();           // ends with IDOK only when UpdateData(TRUE) succeeds
    virtual void OnCancel();

    void NextDlgCtrl() const;
    void PrevDlgCtrl() const;
    void GotoDlgCtrl(CWnd* pWndCtrl);
    void SetDefID(UINT nID);
    DWORD GetDefID() const;
    void MapDialogRect(LPRECT lpRect) const;
    void SetHelpID(UINT nIDR) { m_nIDHelp = nIDR; }

    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);
    virtual void PreInitDialog() {}

    LPCTSTR m_lpszTemplateName;   // resource name or MAKEINTRESOURCE id
    UINT m_nIDHelp;
    LPCDLGTEMPLATE m_lpDialogTemplate;
    HGLOBAL m_hDialogTemplate;
    void* m_lpDialogInit;
    CWnd* m_pParentWnd;
    HWND m_hWndTop;

    BOOL CreateDlgIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, HINSTANCE hInst);

    DECLARE_MESSAGE_MAP()

protected:
    HWND PreModal();
    void PostModal();
};

// The order of a frame's windows on the screen (screenorder.cpp).
// TRUE when the program runs under Wine (ntdll answers wine_get_version).
BOOL AFXAPI AfxIsRunningOnWine();
// TRUE under Wine: only there do frames restack the windows they own on the
// screen themselves (without a window manager by making each the first
// window in turn, with one by asking it to raise them). On Windows the
// system keeps owned windows in front of their owner.
BOOL AFXAPI AfxOwnedWindowsRestacked();
// TRUE under Wine with windows managed by the desktop's window manager.
BOOL AFXAPI AfxWindowManagerStacksWindows();
// For tests: 0 or 1 decides AfxOwnedWindowsRestacked, -1 detects again.
void AFXAPI AfxSetOwnedWindowsRestacked(int nRestack);
// Counted per thread: while any frame asks for it, what stacks windows on
// the screen asks the frame of that window's family for
// KeepOwnedWindowsInFront: a window activated or taking the focus (seen by
// a WH_CBT hook of the thread, which the system calls for those events
// only) and a top-level window of the library moved in the order or shown
// (seen by its window procedure, AfxNoteWindowPosChanged). No hook runs for
// every message.
void AFXAPI AfxFollowScreenOrder(BOOL bFollow);
BOOL AFXAPI AfxIsFollowingScreenOrder();
// The library's window procedure hands every WM_WINDOWPOSCHANGED here.
void AFXAPI AfxNoteWindowPosChanged(HWND hWnd, const WINDOWPOS* pPos);
// A mouse button pressed on a window of the library that is disabled (the
// system reports HTERROR, and beeps): under Wine, when a modal window of its
// family disables it, that window comes forward as on Windows, with the
// windows it was opened from below it (a dialog opened from a dialog); with
// a window manager, which raises the clicked window, the clicked window the
// frame owns comes to the top of the order first (of the order the frame
// keeps too, which is stored and put back after a minimise), and they are
// asked to be raised again above it. Nothing happens for a window disabled
// by its program for another reason (no enabled popup of its family shows), nor
// on Windows, where the system does this itself (AfxOwnedWindowsRestacked).
void AFXAPI AfxNoteClickOnDisabledWindow(HWND hWnd);
// TRUE for the messages of a mouse button pressed (or pressed twice), in
// the client area or not.
inline bool AfxIsButtonPress(UINT nMsg)
{
    return nMsg == WM_LBUTTONDOWN || nMsg == WM_RBUTTONDOWN || nMsg == WM_MBUTTONDOWN || nMsg == WM_LBUTTONDBLCLK ||
           nMsg == WM_RBUTTONDBLCLK || nMsg == WM_MBUTTONDBLCLK || nMsg == WM_NCLBUTTONDOWN ||
           nMsg == WM_NCRBUTTONDOWN || nMsg == WM_NCMBUTTONDOWN || nMsg == WM_NCLBUTTONDBLCLK ||
           nMsg == WM_NCRBUTTONDBLCLK || nMsg == WM_NCMBUTTONDBLCLK;
}
// The library's window procedure hands a button press here before the
// window handles it (bHandled FALSE) and after (TRUE). While a frame
// follows the screen's order (under Wine), a window of its family (other
// than the frame) pressed on is first brought to the top of the order and of
// the screen, as the system's activation does elsewhere and a window manager
// does on the screen; what the window's handling then puts above it (a
// floating toolbar lifts itself only to below its family's active dialog)
// is raised over it again on the screen. With a window manager, which
// raises the window clicked itself, only where the display's stacking
// cannot be read (AfxIsScreenStackingReadable). Elsewhere nothing is done.
void AFXAPI AfxNoteButtonPress(HWND hWnd, BOOL bHandled);
// With a window manager (under Wine): has Wine mark each visible window of
// this thread that hWndOwner owns (directly or through other owned windows)
// as transient for its owner again, so that the window manager, which reads
// the mark only when it knows the owner, keeps it above its owner; only a
// window whose mark was written while its owner did not show, or that has
// another owner since, and once. Nothing moves; elsewhere nothing is done.
void AFXAPI AfxRenewOwnerMarks(HWND hWndOwner);
// With a window manager (under Wine): the given windows in the order in
// which to change what Wine writes of them again (their owner marks): the
// ones hWndOwner owns directly bottom up, as the display stacks them, then
// the others. A window whose mark is written again goes last among the
// windows transient for its owner in some window managers' lists (fluxbox),
// which stack them in that list's order when they raise the owner: written
// bottom up, they keep the order on the screen. Elsewhere returns them as
// given.
std::vector<HWND> AFXAPI AfxOrderForOwnerMarks(HWND hWndOwner, const std::vector<HWND>& windows);
// Under Wine: puts the windows of the last restack (AfxRestackOnScreen)
// back into that order among themselves in the system's order, where Wine
// moved one of them on a report of the display (a part of it shown for a
// moment during the restack) and nothing of the program moved them since;
// the screen, which shows that order, does not change. A window of them
// destroyed since leaves the others in their order. Without a window
// manager a window of them hidden since ends it; with one, hidden windows
// keep their places. Returns 1 when the order was mended, else 0.
int AFXAPI AfxRestoreRestackedOrder();
// The top-level windows hWndOwner owns directly, top first, as the screen
// stacks them: under Wine with a window manager that reports its stacking,
// in that stacking (a hidden window keeps its place in the system's order),
// elsewhere in the system's order once AfxRestoreRestackedOrder has run.
std::vector<HWND> AFXAPI AfxGetOwnedWindowsInScreenOrder(HWND hWndOwner);
// Hides the top-level windows hWndOwner owns as ShowOwnedPopups(hWndOwner,
// FALSE) does (ShowOwnedPopups(hWndOwner, TRUE) shows them again), and keeps
// the order of those it owns directly (not topmost) among themselves: the
// system moves each window it hides so to the top of the order, over an
// owned window that hid itself before.
void AFXAPI AfxHideOwnedPopupsInOrder(HWND hWndOwner);
// Shows again the top-level windows hWndOwner owns as ShowOwnedPopups(
// hWndOwner, TRUE) does; with a window manager (under Wine), which maps
// each window shown on top, those AfxHideOwnedPopupsInOrder hid are shown
// bottom up in the order they showed then.
void AFXAPI AfxShowOwnedPopupsInOrder(HWND hWndOwner);
// With a window manager (under Wine), a frame restored from its icon: a
// while after each window it owns is shown again (for a few seconds, until
// a button is pressed on one), the system's order follows the display's
// stacking, and once the frame is given the display's keyboard while the
// game is in front. Where the stacking cannot be read, the order of the
// top-level windows it owns directly (not topmost) is kept instead: the
// visible ones are put back into it and raised so, while the frame or one
// of them is the active window of its thread. Asked again within those
// seconds, the order first kept stays.
void AFXAPI AfxKeepOwnedOrder(HWND hWndOwner);
// TRUE while a visible topmost window lies in the system's order that does
// not belong to hWndRoot's family (another program's always-on-top window,
// a tip of another frame).
BOOL AFXAPI AfxIsOtherTopmostWindowVisible(HWND hWndRoot);
// With a window manager (under Wine): the display's stacking of this
// thread's visible top-level windows, top first: the place of the top-level
// window of the display that holds each (the window manager's frame around
// it), read from the tree of the display's root window (windowmanager.cpp),
// waiting a tenth of a second at most. FALSE, with order empty, when it
// cannot be read (no window manager, no host program to read it with, or
// one that does not answer in time).
BOOL AFXAPI AfxReadScreenStacking(std::vector<HWND>& order);
// FALSE once the display's stacking is known not to be readable (no host
// program to read it with, or one that failed to answer three times in a
// row), after which AfxReadScreenStacking asks no more.
BOOL AFXAPI AfxIsScreenStackingReadable();
// With a window manager (under Wine): 1 when the window it reports active
// (the one with the keyboard) is one of this thread's, 0 when not, -1 when
// that cannot be read.
int AFXAPI AfxIsWindowManagerFocusOwn();
// With a window manager (under Wine): asks it to activate the top-level
// window of hWnd, as a taskbar does; it raises the window as well. FALSE
// when it cannot be asked.
BOOL AFXAPI AfxAskWindowManagerToActivate(HWND hWnd);
// Puts the given windows (top first) at the top of the screen in that
// order, below the visible topmost windows, which stay above them; nothing
// is activated. Returns the number of windows restacked.
int AFXAPI AfxRestackOnScreen(const HWND* phWndAbove, int nCount);

// The dialog procedure of the layer's dialogs (WM_INITDIALOG -> OnInitDialog).
INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
// After WM_INITDIALOG: centres a hidden top-level dialog that its
// initialisation did not move over its owner, when the owner is disabled
// (modal) or absent. rcBefore and dwStyleBefore are the window's rectangle
// and style before the initialisation.
void AFXAPI AfxCenterNewDialog(CWnd* pDlg, const RECT& rcBefore, DWORD dwStyleBefore);

class CDataExchange
{
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);

    BOOL m_bSaveAndValidate;   // TRUE: controls -> members (and validation)
    CWnd* m_pDlgWnd;
    UINT m_idLastControl;
    BOOL m_bEditLastControl;

    HWND PrepareCtrl(int nIDC);       // remembers the control for Fail
    HWND PrepareEditCtrl(int nIDC);
    // Focuses the last control (selecting an edit's text) and ends the
    // exchange: UpdateData returns FALSE.
    [[noreturn]] void Fail();
};

void AFXAPI DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, int& value);
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, UINT& value);
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, long& value);
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, DWORD& value);
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, short& value);
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, BYTE& value);
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, float& value);
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, double& value);
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, LPTSTR value, int nMaxLen);
void AFXAPI DDX_Check(CDataExchange* pDX, int nIDC, int& value);
void AFXAPI DDX_Radio(CDataExchange* pDX, int nIDC, int& value);
void AFXAPI DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index);
void AFXAPI DDX_CBString(CDataExchange* pDX, int nIDC, CString& value);
void AFXAPI DDX_CBStringExact(CDataExchange* pDX, int nIDC, CString& value);
void AFXAPI DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index);
void AFXAPI DDX_LBString(CDataExchange* pDX, int nIDC, CString& value);
void AFXAPI DDX_Scroll(CDataExchange* pDX, int nIDC, int& value);
void AFXAPI DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);
void AFXAPI DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal);
void AFXAPI DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal);
void AFXAPI DDV_MinMaxDWord(CDataExchange* pDX, DWORD value, DWORD minVal, DWORD maxVal);
void AFXAPI DDV_MinMaxByte(CDataExchange* pDX, BYTE value, BYTE minVal, BYTE maxVal);
void AFXAPI DDV_MinMaxDouble(CDataExchange* pDX, const double& value, double minVal, double maxVal);
void AFXAPI DDV_MaxChars(CDataExchange* pDX, CString const& value, int nChars);

/////////////////////////////////////////////////////////////////////////////
// Global functions

CWinApp* AFXAPI AfxGetApp();
CWinThread* AFXAPI AfxGetThread();
CWnd* AFXAPI AfxGetMainWnd();
LPCTSTR AFXAPI AfxGetAppName();

// Sets up the application object's handles and names (WinMain does it; test
// programs call it themselves).
BOOL AFXAPI AfxWinInit(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow);
void AFXAPI AfxWinTerm();
// The body of the program's WinMain: InitInstance, then Run; ExitInstance always runs.
int AFXAPI AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow);

// Message boxes go through the application (CWinApp::DoMessageBox), or
// through the hook when one is set (tests set one so nothing blocks).
typedef int (AFXAPI* AFX_MSGBOX_HOOK)(LPCTSTR lpszText, UINT nType, UINT nIDHelp);
AFX_MSGBOX_HOOK AFXAPI AfxSetMessageBoxHook(AFX_MSGBOX_HOOK pfnHook);
int AFXAPI AfxMessageBox(LPCTSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = (UINT)-1);
// A message in wide characters (a path of any letters), shown as the
// application shows its messages, with its owner and title; the hook sees
// it in the system's code page.
int AFXAPI AfxMessageBoxW(LPCWSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);


// Window classes
BOOL AFXAPI AfxRegisterClass(WNDCLASS* lpWndClass);   // TRUE when already registered
// Registers (once) a class with these attributes; the name stays valid.
LPCTSTR AFXAPI AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = 0, HBRUSH hbrBackground = 0, HICON hIcon = 0);
BOOL AFXAPI AfxDeferRegisterClass(LONG fToRegister);
#define AFX_WND_REG              0x00001
#define AFX_WNDCONTROLBAR_REG    0x00002
#define AFX_WNDMDIFRAME_REG      0x00004
#define AFX_WNDFRAMEORVIEW_REG   0x00008
#define AFX_WNDCOMMCTLS_REG      0x00010

void AFXAPI AfxPostQuitMessage(int nExitCode);
// WritePrivateProfileString that refuses (FALSE) a value longer than
// AFX_MAX_INI_VALUE characters: the system's INI writer can crash on longer
// lines, and callers rely on a failed write being reported. The value stored
// before under that name is removed, so it is not read back instead.
#define AFX_MAX_INI_VALUE 32000
BOOL AFXAPI AfxWriteIniString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue, LPCTSTR lpszFileName);
// The file's name with extension (0 on success, else the buffer size needed).
UINT AFXAPI AfxGetFileTitle(LPCTSTR lpszPathName, LPTSTR lpszTitle, UINT nMax);
UINT AFXAPI AfxGetFileName(LPCTSTR lpszPathName, LPTSTR lpszTitle, UINT nMax);
BOOL AFXAPI AfxFullPath(LPTSTR lpszPathOut, LPCTSTR lpszFileIn);
BOOL AFXAPI AfxComparePath(LPCTSTR lpszPath1, LPCTSTR lpszPath2);
BOOL AFXAPI AfxInitRichEdit();
BOOL AFXAPI AfxInitRichEdit2();
BOOL AFXAPI AfxSocketInit(struct WSAData* lpwsaData = NULL);
BOOL AFXAPI AfxHelpEnabled();
HWND AFXAPI AfxGetParentOwner(HWND hWnd);
// The top-level windows of the screen in the system's order, top first, as
// one snapshot (EnumWindows). Walking the order with GetWindow(GW_HWNDNEXT)
// instead stops short where another program destroys the window the walk
// stands on, and the windows below it are never seen.
std::vector<HWND> AFXAPI AfxGetTopLevelWindows();
// The thread's count of calls in progress through AfxCallWndProc.
int AFXAPI AfxGetMessageDepth();

#include "afxmsg_.h"

#if __has_include("afxctrls.h")
#include "afxctrls.h"
#endif

#endif // BM_AFXWIN_H
