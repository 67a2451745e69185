// afxmsg_.h - message-map entries.  Included by afxwin.h; never on its own.
//
// A message map is a static array of AFX_MSGMAP_ENTRY.  Each entry names what
// it answers (message, notification code, id range) and holds an adapter
// (a "thunk"): a function generated from the handler's member pointer that
// cracks the message parameters and calls the handler with its ordinary,
// type-checked signature.  The adapter casts the target to the class that
// declared the map (ThisClass) before calling, so handlers inherited from
// other bases (mix-ins) work too.
//
// Handlers are named without class qualification, as in
//     ON_COMMAND(ID_APP_EXIT, OnAppExit)
//     ON_NOTIFY(NM_CLICK, IDC_LIST, OnClickList)
// and the ON_WM_* entries use the fixed handler names (OnCreate, OnPaint...).
#ifndef BM_AFXMSG_H
#define BM_AFXMSG_H

// Signature kinds (informative: the adapter does the cracking).
enum AfxSig
{
    AfxSig_end = 0,
    AfxSig_msg,          // window message
    AfxSig_cmd,          // ON_COMMAND, ON_CONTROL
    AfxSig_cmdEx,        // ON_COMMAND_EX (FALSE continues routing)
    AfxSig_cmdRange,     // ON_COMMAND_RANGE, ON_CONTROL_RANGE
    AfxSig_cmdUI,        // ON_UPDATE_COMMAND_UI(_RANGE)
    AfxSig_notify,       // ON_NOTIFY, ON_NOTIFY_REFLECT
    AfxSig_notifyEx,     // ON_NOTIFY_EX(_RANGE), ON_NOTIFY_REFLECT_EX
    AfxSig_notifyRange,  // ON_NOTIFY_RANGE
    AfxSig_reflectEx,    // ON_CONTROL_REFLECT_EX
    AfxSig_thread        // ON_THREAD_MESSAGE
};

// Adapter helpers ---------------------------------------------------------------

// The class that declares a handler (a base of the map's class, perhaps a mix-in).
template <class M> struct AfxHandlerClass;
template <class C, class R, class... A> struct AfxHandlerClass<R (C::*)(A...)> { typedef C type; };
template <class C, class R, class... A> struct AfxHandlerClass<R (C::*)(A...) const> { typedef C type; };
template <class C, class R, class... A> struct AfxHandlerClass<R (C::*)(A...) noexcept> { typedef C type; };
template <class C, class R, class... A> struct AfxHandlerClass<R (C::*)(A...) const noexcept> { typedef C type; };

#define AFX_THUNK(name) template <class T, auto F> BOOL name(CCmdTarget* pTarget_, AFX_MSGCALL& c_)
// The target is the map's class; the handler is called on its declaring class.
#define AFX_CALL \
    (static_cast<typename AfxHandlerClass<decltype(F)>::type*>(static_cast<T*>(pTarget_))->*F)
#define AFX_LOWORD_S(l) ((int)(short)LOWORD(l))
#define AFX_HIWORD_S(l) ((int)(short)HIWORD(l))
#define AFX_LPARAM_POINT CPoint(AFX_LOWORD_S(c_.lParam), AFX_HIWORD_S(c_.lParam))
#define AFX_WND(h) CWnd::FromHandle((HWND)(h))

AFX_THUNK(AfxThunk_v) { AFX_CALL(); c_.lResult = 0; return TRUE; }
AFX_THUNK(AfxThunk_b) { c_.lResult = (LRESULT)AFX_CALL(); return TRUE; }
AFX_THUNK(AfxThunk_l) { c_.lResult = (LRESULT)AFX_CALL(); return TRUE; }
AFX_THUNK(AfxThunk_lwl) { c_.lResult = (LRESULT)AFX_CALL(c_.wParam, c_.lParam); return TRUE; }
AFX_THUNK(AfxThunk_vwl) { AFX_CALL(c_.wParam, c_.lParam); c_.lResult = 0; return TRUE; }
AFX_THUNK(AfxThunk_create) { c_.lResult = (LRESULT)AFX_CALL((LPCREATESTRUCT)c_.lParam); return TRUE; }
AFX_THUNK(AfxThunk_erase) { c_.lResult = (LRESULT)AFX_CALL(CDC::FromHandle((HDC)c_.wParam)); return TRUE; }
AFX_THUNK(AfxThunk_printclient)
{
    AFX_CALL(CDC::FromHandle((HDC)c_.wParam), (UINT)c_.lParam);
    c_.lResult = 0;
    return TRUE;
}
AFX_THUNK(AfxThunk_size) { AFX_CALL((UINT)c_.wParam, AFX_LOWORD_S(c_.lParam), AFX_HIWORD_S(c_.lParam)); c_.lResult = 0; return TRUE; }
AFX_THUNK(AfxThunk_sizing) { AFX_CALL((UINT)c_.wParam, (LPRECT)c_.lParam); c_.lResult = TRUE; return TRUE; }
AFX_THUNK(AfxThunk_move) { AFX_CALL(AFX_LOWORD_S(c_.lParam), AFX_HIWORD_S(c_.lParam)); c_.lResult = 0; return TRUE; }
AFX_THUNK(AfxThunk_timer) { AFX_CALL((UINT_PTR)c_.wParam); c_.lResult = 0; return TRUE; }
AFX_THUNK(AfxThunk_mouse) { AFX_CALL((UINT)c_.wParam, AFX_LPARAM_POINT); c_.lResult = 0; return TRUE; }
AFX_THUNK(AfxThunk_wheel)
{
    c_.lResult = (LRESULT)AFX_CALL((UINT)LOWORD(c_.wParam), (short)HIWORD(c_.wParam), AFX_LPARAM_POINT);
    return TRUE;
}
AFX_THUNK(AfxThunk_nchittest) { c_.lResult = (LRESULT)AFX_CALL(AFX_LPARAM_POINT); return TRUE; }
AFX_THUNK(AfxThunk_ncmouse) { AFX_CALL((UINT)c_.wParam, AFX_LPARAM_POINT); c_.lResult = 0; return TRUE; }
AFX_THUNK(AfxThunk_ctlcolor)
{
    const AFX_CTLCOLOR* p = (const AFX_CTLCOLOR*)c_.pExtra;
    c_.lResult = (LRESULT)AFX_CALL(CDC::FromHandle(p->hDC), AFX_WND(p->hWnd), p->nCtlType);
    return TRUE;
}
AFX_THUNK(AfxThunk_ctlcolor_reflect)
{
    // A null brush means "not handled": the parent then gets the message.
    const AFX_CTLCOLOR* p = (const AFX_CTLCOLOR*)c_.lParam;
    HBRUSH hbr = AFX_CALL(CDC::FromHandle(p->hDC), p->nCtlType);
    if (hbr == NULL)
        return FALSE;
    c_.lResult = (LRESULT)hbr;
    return TRUE;
}
AFX_THUNK(AfxThunk_drawitem) { AFX_CALL((int)c_.wParam, (LPDRAWITEMSTRUCT)c_.lParam); c_.lResult = TRUE; return TRUE; }
AFX_THUNK(AfxThunk_measureitem) { AFX_CALL((int)c_.wParam, (LPMEASUREITEMSTRUCT)c_.lParam); c_.lResult = TRUE; return TRUE; }
AFX_THUNK(AfxThunk_compareitem) { c_.lResult = (LRESULT)AFX_CALL((int)c_.wParam, (LPCOMPAREITEMSTRUCT)c_.lParam); return TRUE; }
AFX_THUNK(AfxThunk_deleteitem) { AFX_CALL((int)c_.wParam, (LPDELETEITEMSTRUCT)c_.lParam); c_.lResult = TRUE; return TRUE; }
AFX_THUNK(AfxThunk_drawitem_r) { AFX_CALL((LPDRAWITEMSTRUCT)c_.lParam); c_.lResult = TRUE; return TRUE; }
AFX_THUNK(AfxThunk_measureitem_r) { AFX_CALL((LPMEASUREITEMSTRUCT)c_.lParam); c_.lResult = TRUE; return TRUE; }
AFX_THUNK(AfxThunk_compareitem_r) { c_.lResult = (LRESULT)AFX_CALL((LPCOMPAREITEMSTRUCT)c_.lParam); return TRUE; }
AFX_THUNK(AfxThunk_deleteitem_r) { AFX_CALL((LPDELETEITEMSTRUCT)c_.lParam); c_.lResult = TRUE; return TRUE; }
AFX_THUNK(AfxThunk_chartoitem)
{
    c_.lResult = (LRESULT)AFX_CALL((UINT)LOWORD(c_.wParam), reinterpret_cast<CListBox*>(AFX_WND(c_.lParam)),
                                   (UINT)HIWORD(c_.wParam));
    return TRUE;
}
AFX_THUNK(AfxThunk_chartoitem_r) { c_.lResult = (LRESULT)AFX_CALL((UINT)LOWORD(c_.wParam), (UINT)HIWORD(c_.wParam)); return TRUE; }
AFX_THUNK(AfxThunk_setcursor)
{
    c_.lResult = (LRESULT)AFX_CALL(AFX_WND(c_.wParam), (UINT)(short)LOWORD(c_.lParam), (UINT)HIWORD(c_.lParam));
    return TRUE;
}
AFX_THUNK(AfxThunk_mouseactivate)
{
    c_.lResult = (LRESULT)AFX_CALL(AFX_WND(c_.wParam), (UINT)(short)LOWORD(c_.lParam), (UINT)HIWORD(c_.lParam));
    return TRUE;
}
AFX_THUNK(AfxThunk_nccalcsize) { AFX_CALL((BOOL)c_.wParam, (NCCALCSIZE_PARAMS*)c_.lParam); c_.lResult = 0; return TRUE; }
AFX_THUNK(AfxThunk_focus) { AFX_CALL(AFX_WND(c_.wParam)); c_.lResult = 0; return TRUE; }
AFX_THUNK(AfxThunk_wnd_l) { AFX_CALL(AFX_WND(c_.lParam)); c_.lResult = 0; return TRUE; }
AFX_THUNK(AfxThunk_wnd_w) { AFX_CALL(AFX_WND(c_.wParam)); c_.lResult = 0; return TRUE; }
AFX_THUNK(AfxThunk_key)
{
    AFX_CALL((UINT)c_.wParam, (UINT)LOWORD(c_.lParam), (UINT)HIWORD(c_.lParam));
    c_.lResult = 0;
    return TRUE;
}
AFX_THUNK(AfxThunk_contextmenu) { AFX_CALL(AFX_WND(c_.wParam), AFX_LPARAM_POINT); c_.lResult = 0; return TRUE; }
AFX_THUNK(AfxThunk_showwindow) { AFX_CALL((BOOL)c_.wParam, (UINT)c_.lParam); c_.lResult = 0; return TRUE; }
AFX_THUNK(AfxThunk_windowpos) { AFX_CALL((WINDOWPOS*)c_.lParam); c_.lResult = 0; return TRUE; }
AFX_THUNK(AfxThunk_minmax) { AFX_CALL((MINMAXINFO*)c_.lParam); c_.lResult = 0; return TRUE; }
AFX_THUNK(AfxThunk_settingchange) { AFX_CALL((UINT)c_.wParam, (LPCTSTR)c_.lParam); c_.lResult = 0; return TRUE; }
AFX_THUNK(AfxThunk_wininichange) { AFX_CALL((LPCTSTR)c_.lParam); c_.lResult = 0; return TRUE; }
AFX_THUNK(AfxThunk_activate)
{
    AFX_CALL((UINT)LOWORD(c_.wParam), AFX_WND(c_.lParam), (BOOL)HIWORD(c_.wParam));
    c_.lResult = 0;
    return TRUE;
}
AFX_THUNK(AfxThunk_activateapp) { AFX_CALL((BOOL)c_.wParam, (DWORD)c_.lParam); c_.lResult = 0; return TRUE; }
AFX_THUNK(AfxThunk_b_w) { c_.lResult = (LRESULT)AFX_CALL((BOOL)c_.wParam); return TRUE; }
AFX_THUNK(AfxThunk_v_w) { AFX_CALL((BOOL)c_.wParam); c_.lResult = 0; return TRUE; }
AFX_THUNK(AfxThunk_v_l) { AFX_CALL(c_.lParam); c_.lResult = 0; return TRUE; }
AFX_THUNK(AfxThunk_scroll)
{
    AFX_CALL((UINT)LOWORD(c_.wParam), (UINT)(short)HIWORD(c_.wParam), reinterpret_cast<CScrollBar*>(AFX_WND(c_.lParam)));
    c_.lResult = 0;
    return TRUE;
}
AFX_THUNK(AfxThunk_scroll_r) { AFX_CALL((UINT)LOWORD(c_.wParam), (UINT)(short)HIWORD(c_.wParam)); c_.lResult = 0; return TRUE; }
AFX_THUNK(AfxThunk_initmenupopup)
{
    AFX_CALL(CMenu::FromHandle((HMENU)c_.wParam), (UINT)LOWORD(c_.lParam), (BOOL)HIWORD(c_.lParam));
    c_.lResult = 0;
    return TRUE;
}
AFX_THUNK(AfxThunk_initmenu) { AFX_CALL(CMenu::FromHandle((HMENU)c_.wParam)); c_.lResult = 0; return TRUE; }
AFX_THUNK(AfxThunk_menuchar)
{
    c_.lResult = (LRESULT)AFX_CALL((UINT)LOWORD(c_.wParam), (UINT)HIWORD(c_.wParam), CMenu::FromHandle((HMENU)c_.lParam));
    return TRUE;
}
AFX_THUNK(AfxThunk_menuselect)
{
    AFX_CALL((UINT)LOWORD(c_.wParam), (UINT)HIWORD(c_.wParam), (HMENU)c_.lParam);
    c_.lResult = 0;
    return TRUE;
}
AFX_THUNK(AfxThunk_syscommand) { AFX_CALL((UINT)c_.wParam, c_.lParam); c_.lResult = 0; return TRUE; }
AFX_THUNK(AfxThunk_dropfiles) { AFX_CALL((HDROP)c_.wParam); c_.lResult = 0; return TRUE; }
AFX_THUNK(AfxThunk_stylechange) { AFX_CALL((int)c_.wParam, (LPSTYLESTRUCT)c_.lParam); c_.lResult = 0; return TRUE; }
AFX_THUNK(AfxThunk_enteridle) { AFX_CALL((UINT)c_.wParam, AFX_WND(c_.lParam)); c_.lResult = 0; return TRUE; }
AFX_THUNK(AfxThunk_helpinfo) { c_.lResult = (LRESULT)AFX_CALL((HELPINFO*)c_.lParam); return TRUE; }
AFX_THUNK(AfxThunk_parentnotify) { AFX_CALL((UINT)LOWORD(c_.wParam), c_.lParam); c_.lResult = 0; return TRUE; }
AFX_THUNK(AfxThunk_mdiactivate)
{
    // lParam is the child being activated, wParam the one being deactivated.
    BOOL bActivate = (HWND)c_.lParam != NULL && (HWND)c_.lParam == static_cast<T*>(pTarget_)->GetSafeHwnd();
    AFX_CALL(bActivate, AFX_WND(c_.lParam), AFX_WND(c_.wParam));
    c_.lResult = 0;
    return TRUE;
}
AFX_THUNK(AfxThunk_copydata) { c_.lResult = (LRESULT)AFX_CALL(AFX_WND(c_.wParam), (COPYDATASTRUCT*)c_.lParam); return TRUE; }

// Command adapters: c_.nID is the command/control id, c_.pExtra the extra
// data (CCmdUI*, AFX_NOTIFY*).
AFX_THUNK(AfxThunkCmd_v) { AFX_CALL(); return TRUE; }
AFX_THUNK(AfxThunkCmd_b) { return AFX_CALL() ? TRUE : FALSE; }
AFX_THUNK(AfxThunkCmd_id) { AFX_CALL(c_.nID); return TRUE; }
AFX_THUNK(AfxThunkCmd_id_b) { return AFX_CALL(c_.nID) ? TRUE : FALSE; }
AFX_THUNK(AfxThunkCmd_ui)
{
    CCmdUI* pCmdUI = (CCmdUI*)c_.pExtra;
    if (pCmdUI == NULL)
        return FALSE;
    pCmdUI->m_bContinueRouting = FALSE;
    AFX_CALL(pCmdUI);
    return pCmdUI->m_bContinueRouting ? FALSE : TRUE;
}
AFX_THUNK(AfxThunkCmd_notify)
{
    AFX_NOTIFY* pNotify = (AFX_NOTIFY*)c_.pExtra;
    LRESULT lDummy = 0;
    AFX_CALL(pNotify->pNMHDR, pNotify->pResult != NULL ? pNotify->pResult : &lDummy);
    return TRUE;
}
AFX_THUNK(AfxThunkCmd_notify_b)
{
    AFX_NOTIFY* pNotify = (AFX_NOTIFY*)c_.pExtra;
    LRESULT lDummy = 0;
    return AFX_CALL(pNotify->pNMHDR, pNotify->pResult != NULL ? pNotify->pResult : &lDummy) ? TRUE : FALSE;
}
AFX_THUNK(AfxThunkCmd_notify_id)
{
    AFX_NOTIFY* pNotify = (AFX_NOTIFY*)c_.pExtra;
    LRESULT lDummy = 0;
    AFX_CALL(c_.nID, pNotify->pNMHDR, pNotify->pResult != NULL ? pNotify->pResult : &lDummy);
    return TRUE;
}
AFX_THUNK(AfxThunkCmd_notify_id_b)
{
    AFX_NOTIFY* pNotify = (AFX_NOTIFY*)c_.pExtra;
    LRESULT lDummy = 0;
    return AFX_CALL(c_.nID, pNotify->pNMHDR, pNotify->pResult != NULL ? pNotify->pResult : &lDummy) ? TRUE : FALSE;
}

// Entry builders ------------------------------------------------------------------
#define AFX_MSG_ENTRY(msg, thunk, memberFxn) \
    { (UINT)(msg), 0, 0, 0, AfxSig_msg, &thunk<ThisClass, &ThisClass::memberFxn>, NULL },

// Window messages
#define ON_WM_CREATE()            AFX_MSG_ENTRY(WM_CREATE, AfxThunk_create, OnCreate)
#define ON_WM_NCCREATE()          AFX_MSG_ENTRY(WM_NCCREATE, AfxThunk_create, OnNcCreate)
#define ON_WM_DESTROY()           AFX_MSG_ENTRY(WM_DESTROY, AfxThunk_v, OnDestroy)
#define ON_WM_NCDESTROY()         AFX_MSG_ENTRY(WM_NCDESTROY, AfxThunk_v, OnNcDestroy)
#define ON_WM_CLOSE()             AFX_MSG_ENTRY(WM_CLOSE, AfxThunk_v, OnClose)
#define ON_WM_PAINT()             AFX_MSG_ENTRY(WM_PAINT, AfxThunk_v, OnPaint)
#define ON_WM_NCPAINT()           AFX_MSG_ENTRY(WM_NCPAINT, AfxThunk_v, OnNcPaint)
#define ON_WM_ERASEBKGND()        AFX_MSG_ENTRY(WM_ERASEBKGND, AfxThunk_erase, OnEraseBkgnd)
#define ON_WM_PRINTCLIENT()       AFX_MSG_ENTRY(WM_PRINTCLIENT, AfxThunk_printclient, OnPrintClient)
#define ON_WM_SIZE()              AFX_MSG_ENTRY(WM_SIZE, AfxThunk_size, OnSize)
#define ON_WM_SIZING()            AFX_MSG_ENTRY(WM_SIZING, AfxThunk_sizing, OnSizing)
#define ON_WM_MOVE()              AFX_MSG_ENTRY(WM_MOVE, AfxThunk_move, OnMove)
#define ON_WM_MOVING()            AFX_MSG_ENTRY(WM_MOVING, AfxThunk_sizing, OnMoving)
#define ON_WM_TIMER()             AFX_MSG_ENTRY(WM_TIMER, AfxThunk_timer, OnTimer)
#define ON_WM_LBUTTONDOWN()       AFX_MSG_ENTRY(WM_LBUTTONDOWN, AfxThunk_mouse, OnLButtonDown)
#define ON_WM_LBUTTONUP()         AFX_MSG_ENTRY(WM_LBUTTONUP, AfxThunk_mouse, OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK()     AFX_MSG_ENTRY(WM_LBUTTONDBLCLK, AfxThunk_mouse, OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN()       AFX_MSG_ENTRY(WM_RBUTTONDOWN, AfxThunk_mouse, OnRButtonDown)
#define ON_WM_RBUTTONUP()         AFX_MSG_ENTRY(WM_RBUTTONUP, AfxThunk_mouse, OnRButtonUp)
#define ON_WM_RBUTTONDBLCLK()     AFX_MSG_ENTRY(WM_RBUTTONDBLCLK, AfxThunk_mouse, OnRButtonDblClk)
#define ON_WM_MBUTTONDOWN()       AFX_MSG_ENTRY(WM_MBUTTONDOWN, AfxThunk_mouse, OnMButtonDown)
#define ON_WM_MBUTTONUP()         AFX_MSG_ENTRY(WM_MBUTTONUP, AfxThunk_mouse, OnMButtonUp)
#define ON_WM_MBUTTONDBLCLK()     AFX_MSG_ENTRY(WM_MBUTTONDBLCLK, AfxThunk_mouse, OnMButtonDblClk)
#define ON_WM_MOUSEMOVE()         AFX_MSG_ENTRY(WM_MOUSEMOVE, AfxThunk_mouse, OnMouseMove)
#define ON_WM_MOUSEWHEEL()        AFX_MSG_ENTRY(WM_MOUSEWHEEL, AfxThunk_wheel, OnMouseWheel)
#define ON_WM_MOUSEHOVER()        AFX_MSG_ENTRY(WM_MOUSEHOVER, AfxThunk_mouse, OnMouseHover)
#define ON_WM_MOUSELEAVE()        AFX_MSG_ENTRY(WM_MOUSELEAVE, AfxThunk_v, OnMouseLeave)
#define ON_WM_NCMOUSELEAVE()      AFX_MSG_ENTRY(WM_NCMOUSELEAVE, AfxThunk_v, OnNcMouseLeave)
#define ON_WM_NCHITTEST()         AFX_MSG_ENTRY(WM_NCHITTEST, AfxThunk_nchittest, OnNcHitTest)
#define ON_WM_NCMOUSEMOVE()       AFX_MSG_ENTRY(WM_NCMOUSEMOVE, AfxThunk_ncmouse, OnNcMouseMove)
#define ON_WM_NCLBUTTONDOWN()     AFX_MSG_ENTRY(WM_NCLBUTTONDOWN, AfxThunk_ncmouse, OnNcLButtonDown)
#define ON_WM_NCLBUTTONUP()       AFX_MSG_ENTRY(WM_NCLBUTTONUP, AfxThunk_ncmouse, OnNcLButtonUp)
#define ON_WM_NCLBUTTONDBLCLK()   AFX_MSG_ENTRY(WM_NCLBUTTONDBLCLK, AfxThunk_ncmouse, OnNcLButtonDblClk)
#define ON_WM_NCRBUTTONDOWN()     AFX_MSG_ENTRY(WM_NCRBUTTONDOWN, AfxThunk_ncmouse, OnNcRButtonDown)
#define ON_WM_NCRBUTTONUP()       AFX_MSG_ENTRY(WM_NCRBUTTONUP, AfxThunk_ncmouse, OnNcRButtonUp)
#define ON_WM_NCRBUTTONDBLCLK()   AFX_MSG_ENTRY(WM_NCRBUTTONDBLCLK, AfxThunk_ncmouse, OnNcRButtonDblClk)
#define ON_WM_NCMBUTTONDOWN()     AFX_MSG_ENTRY(WM_NCMBUTTONDOWN, AfxThunk_ncmouse, OnNcMButtonDown)
#define ON_WM_NCMBUTTONUP()       AFX_MSG_ENTRY(WM_NCMBUTTONUP, AfxThunk_ncmouse, OnNcMButtonUp)
#define ON_WM_NCMBUTTONDBLCLK()   AFX_MSG_ENTRY(WM_NCMBUTTONDBLCLK, AfxThunk_ncmouse, OnNcMButtonDblClk)
#define ON_WM_NCCALCSIZE()        AFX_MSG_ENTRY(WM_NCCALCSIZE, AfxThunk_nccalcsize, OnNcCalcSize)
#define ON_WM_NCACTIVATE()        AFX_MSG_ENTRY(WM_NCACTIVATE, AfxThunk_b_w, OnNcActivate)
// All WM_CTLCOLOR* messages reach the one WM_CTLCOLOR entry.
#define ON_WM_CTLCOLOR()          AFX_MSG_ENTRY(WM_CTLCOLOR, AfxThunk_ctlcolor, OnCtlColor)
#define ON_WM_DRAWITEM()          AFX_MSG_ENTRY(WM_DRAWITEM, AfxThunk_drawitem, OnDrawItem)
#define ON_WM_MEASUREITEM()       AFX_MSG_ENTRY(WM_MEASUREITEM, AfxThunk_measureitem, OnMeasureItem)
#define ON_WM_COMPAREITEM()       AFX_MSG_ENTRY(WM_COMPAREITEM, AfxThunk_compareitem, OnCompareItem)
#define ON_WM_DELETEITEM()        AFX_MSG_ENTRY(WM_DELETEITEM, AfxThunk_deleteitem, OnDeleteItem)
#define ON_WM_CHARTOITEM()        AFX_MSG_ENTRY(WM_CHARTOITEM, AfxThunk_chartoitem, OnCharToItem)
#define ON_WM_VKEYTOITEM()        AFX_MSG_ENTRY(WM_VKEYTOITEM, AfxThunk_chartoitem, OnVKeyToItem)
#define ON_WM_SETCURSOR()         AFX_MSG_ENTRY(WM_SETCURSOR, AfxThunk_setcursor, OnSetCursor)
#define ON_WM_MOUSEACTIVATE()     AFX_MSG_ENTRY(WM_MOUSEACTIVATE, AfxThunk_mouseactivate, OnMouseActivate)
#define ON_WM_SETFOCUS()          AFX_MSG_ENTRY(WM_SETFOCUS, AfxThunk_focus, OnSetFocus)
#define ON_WM_KILLFOCUS()         AFX_MSG_ENTRY(WM_KILLFOCUS, AfxThunk_focus, OnKillFocus)
#define ON_WM_KEYDOWN()           AFX_MSG_ENTRY(WM_KEYDOWN, AfxThunk_key, OnKeyDown)
#define ON_WM_KEYUP()             AFX_MSG_ENTRY(WM_KEYUP, AfxThunk_key, OnKeyUp)
#define ON_WM_CHAR()              AFX_MSG_ENTRY(WM_CHAR, AfxThunk_key, OnChar)
#define ON_WM_DEADCHAR()          AFX_MSG_ENTRY(WM_DEADCHAR, AfxThunk_key, OnDeadChar)
#define ON_WM_SYSKEYDOWN()        AFX_MSG_ENTRY(WM_SYSKEYDOWN, AfxThunk_key, OnSysKeyDown)
#define ON_WM_SYSKEYUP()          AFX_MSG_ENTRY(WM_SYSKEYUP, AfxThunk_key, OnSysKeyUp)
#define ON_WM_SYSCHAR()           AFX_MSG_ENTRY(WM_SYSCHAR, AfxThunk_key, OnSysChar)
#define ON_WM_SYSDEADCHAR()       AFX_MSG_ENTRY(WM_SYSDEADCHAR, AfxThunk_key, OnSysDeadChar)
#define ON_WM_CAPTURECHANGED()    AFX_MSG_ENTRY(WM_CAPTURECHANGED, AfxThunk_wnd_l, OnCaptureChanged)
#define ON_WM_CONTEXTMENU()       AFX_MSG_ENTRY(WM_CONTEXTMENU, AfxThunk_contextmenu, OnContextMenu)
#define ON_WM_SHOWWINDOW()        AFX_MSG_ENTRY(WM_SHOWWINDOW, AfxThunk_showwindow, OnShowWindow)
#define ON_WM_WINDOWPOSCHANGED()  AFX_MSG_ENTRY(WM_WINDOWPOSCHANGED, AfxThunk_windowpos, OnWindowPosChanged)
#define ON_WM_WINDOWPOSCHANGING() AFX_MSG_ENTRY(WM_WINDOWPOSCHANGING, AfxThunk_windowpos, OnWindowPosChanging)
#define ON_WM_GETMINMAXINFO()     AFX_MSG_ENTRY(WM_GETMINMAXINFO, AfxThunk_minmax, OnGetMinMaxInfo)
#define ON_WM_SYSCOLORCHANGE()    AFX_MSG_ENTRY(WM_SYSCOLORCHANGE, AfxThunk_v, OnSysColorChange)
#define ON_WM_SETTINGCHANGE()     AFX_MSG_ENTRY(WM_SETTINGCHANGE, AfxThunk_settingchange, OnSettingChange)
#define ON_WM_WININICHANGE()      AFX_MSG_ENTRY(WM_WININICHANGE, AfxThunk_wininichange, OnWinIniChange)
#define ON_WM_FONTCHANGE()        AFX_MSG_ENTRY(WM_FONTCHANGE, AfxThunk_v, OnFontChange)
#define ON_WM_TIMECHANGE()        AFX_MSG_ENTRY(WM_TIMECHANGE, AfxThunk_v, OnTimeChange)
#define ON_WM_THEMECHANGED()      AFX_MSG_ENTRY(WM_THEMECHANGED, AfxThunk_l, OnThemeChanged)
#define ON_WM_ACTIVATE()          AFX_MSG_ENTRY(WM_ACTIVATE, AfxThunk_activate, OnActivate)
#define ON_WM_ACTIVATEAPP()       AFX_MSG_ENTRY(WM_ACTIVATEAPP, AfxThunk_activateapp, OnActivateApp)
#define ON_WM_ENABLE()            AFX_MSG_ENTRY(WM_ENABLE, AfxThunk_v_w, OnEnable)
#define ON_WM_HSCROLL()           AFX_MSG_ENTRY(WM_HSCROLL, AfxThunk_scroll, OnHScroll)
#define ON_WM_VSCROLL()           AFX_MSG_ENTRY(WM_VSCROLL, AfxThunk_scroll, OnVScroll)
#define ON_WM_GETDLGCODE()        AFX_MSG_ENTRY(WM_GETDLGCODE, AfxThunk_l, OnGetDlgCode)
#define ON_WM_INITMENU()          AFX_MSG_ENTRY(WM_INITMENU, AfxThunk_initmenu, OnInitMenu)
#define ON_WM_INITMENUPOPUP()     AFX_MSG_ENTRY(WM_INITMENUPOPUP, AfxThunk_initmenupopup, OnInitMenuPopup)
#define ON_WM_MENUCHAR()          AFX_MSG_ENTRY(WM_MENUCHAR, AfxThunk_menuchar, OnMenuChar)
#define ON_WM_MENUSELECT()        AFX_MSG_ENTRY(WM_MENUSELECT, AfxThunk_menuselect, OnMenuSelect)
#define ON_WM_ENTERMENULOOP()     AFX_MSG_ENTRY(WM_ENTERMENULOOP, AfxThunk_v_w, OnEnterMenuLoop)
#define ON_WM_EXITMENULOOP()      AFX_MSG_ENTRY(WM_EXITMENULOOP, AfxThunk_v_w, OnExitMenuLoop)
#define ON_WM_SYSCOMMAND()        AFX_MSG_ENTRY(WM_SYSCOMMAND, AfxThunk_syscommand, OnSysCommand)
#define ON_WM_DROPFILES()         AFX_MSG_ENTRY(WM_DROPFILES, AfxThunk_dropfiles, OnDropFiles)
#define ON_WM_STYLECHANGED()      AFX_MSG_ENTRY(WM_STYLECHANGED, AfxThunk_stylechange, OnStyleChanged)
#define ON_WM_STYLECHANGING()     AFX_MSG_ENTRY(WM_STYLECHANGING, AfxThunk_stylechange, OnStyleChanging)
#define ON_WM_ENTERIDLE()         AFX_MSG_ENTRY(WM_ENTERIDLE, AfxThunk_enteridle, OnEnterIdle)
#define ON_WM_HELPINFO()          AFX_MSG_ENTRY(WM_HELP, AfxThunk_helpinfo, OnHelpInfo)
#define ON_WM_CANCELMODE()        AFX_MSG_ENTRY(WM_CANCELMODE, AfxThunk_v, OnCancelMode)
#define ON_WM_CHILDACTIVATE()     AFX_MSG_ENTRY(WM_CHILDACTIVATE, AfxThunk_v, OnChildActivate)
#define ON_WM_ENTERSIZEMOVE()     AFX_MSG_ENTRY(WM_ENTERSIZEMOVE, AfxThunk_v, OnEnterSizeMove)
#define ON_WM_EXITSIZEMOVE()      AFX_MSG_ENTRY(WM_EXITSIZEMOVE, AfxThunk_v, OnExitSizeMove)
#define ON_WM_PARENTNOTIFY()      AFX_MSG_ENTRY(WM_PARENTNOTIFY, AfxThunk_parentnotify, OnParentNotify)
#define ON_WM_QUERYENDSESSION()   AFX_MSG_ENTRY(WM_QUERYENDSESSION, AfxThunk_b, OnQueryEndSession)
#define ON_WM_ENDSESSION()        AFX_MSG_ENTRY(WM_ENDSESSION, AfxThunk_v_w, OnEndSession)
#define ON_WM_QUERYNEWPALETTE()   AFX_MSG_ENTRY(WM_QUERYNEWPALETTE, AfxThunk_b, OnQueryNewPalette)
#define ON_WM_PALETTECHANGED()    AFX_MSG_ENTRY(WM_PALETTECHANGED, AfxThunk_wnd_w, OnPaletteChanged)
#define ON_WM_QUERYDRAGICON()     AFX_MSG_ENTRY(WM_QUERYDRAGICON, AfxThunk_l, OnQueryDragIcon)
#define ON_WM_COPYDATA()          AFX_MSG_ENTRY(WM_COPYDATA, AfxThunk_copydata, OnCopyData)
#define ON_WM_MDIACTIVATE()       AFX_MSG_ENTRY(WM_MDIACTIVATE, AfxThunk_mdiactivate, OnMDIActivate)

// Reflected window messages: the control handles what its parent was sent.
#define AFX_REFLECT_ENTRY(msg, thunk, memberFxn) AFX_MSG_ENTRY(WM_REFLECT_BASE + (msg), thunk, memberFxn)
#define ON_WM_CTLCOLOR_REFLECT()    AFX_REFLECT_ENTRY(WM_CTLCOLOR, AfxThunk_ctlcolor_reflect, CtlColor)
#define ON_WM_DRAWITEM_REFLECT()    AFX_REFLECT_ENTRY(WM_DRAWITEM, AfxThunk_drawitem_r, DrawItem)
#define ON_WM_MEASUREITEM_REFLECT() AFX_REFLECT_ENTRY(WM_MEASUREITEM, AfxThunk_measureitem_r, MeasureItem)
#define ON_WM_COMPAREITEM_REFLECT() AFX_REFLECT_ENTRY(WM_COMPAREITEM, AfxThunk_compareitem_r, CompareItem)
#define ON_WM_DELETEITEM_REFLECT()  AFX_REFLECT_ENTRY(WM_DELETEITEM, AfxThunk_deleteitem_r, DeleteItem)
#define ON_WM_CHARTOITEM_REFLECT()  AFX_REFLECT_ENTRY(WM_CHARTOITEM, AfxThunk_chartoitem_r, CharToItem)
#define ON_WM_VKEYTOITEM_REFLECT()  AFX_REFLECT_ENTRY(WM_VKEYTOITEM, AfxThunk_chartoitem_r, VKeyToItem)
#define ON_WM_HSCROLL_REFLECT()     AFX_REFLECT_ENTRY(WM_HSCROLL, AfxThunk_scroll_r, HScroll)
#define ON_WM_VSCROLL_REFLECT()     AFX_REFLECT_ENTRY(WM_VSCROLL, AfxThunk_scroll_r, VScroll)
#define ON_WM_PARENTNOTIFY_REFLECT() AFX_REFLECT_ENTRY(WM_PARENTNOTIFY, AfxThunk_parentnotify, ParentNotify)

// User-defined and registered messages
#define ON_MESSAGE(message, memberFxn) AFX_MSG_ENTRY(message, AfxThunk_lwl, memberFxn)
#define ON_MESSAGE_VOID(message, memberFxn) AFX_MSG_ENTRY(message, AfxThunk_v, memberFxn)
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn) \
    { 0xC000, 0, 0, 0, AfxSig_msg, &AfxThunk_lwl<ThisClass, &ThisClass::memberFxn>, &(nMessageVariable) },
// Thread messages (CWinThread maps): void memberFxn(WPARAM, LPARAM).
#define ON_THREAD_MESSAGE(message, memberFxn) \
    { (UINT)(message), 0, 0, 0, AfxSig_thread, &AfxThunk_vwl<ThisClass, &ThisClass::memberFxn>, NULL },
#define ON_REGISTERED_THREAD_MESSAGE(nMessageVariable, memberFxn) \
    { 0xC000, 0, 0, 0, AfxSig_thread, &AfxThunk_vwl<ThisClass, &ThisClass::memberFxn>, &(nMessageVariable) },

// Commands
#define ON_COMMAND(id, memberFxn) \
    { WM_COMMAND, CN_COMMAND, (UINT)(id), (UINT)(id), AfxSig_cmd, &AfxThunkCmd_v<ThisClass, &ThisClass::memberFxn>, NULL },
#define ON_COMMAND_EX(id, memberFxn) \
    { WM_COMMAND, CN_COMMAND, (UINT)(id), (UINT)(id), AfxSig_cmdEx, &AfxThunkCmd_id_b<ThisClass, &ThisClass::memberFxn>, NULL },
#define ON_COMMAND_RANGE(id, idLast, memberFxn) \
    { WM_COMMAND, CN_COMMAND, (UINT)(id), (UINT)(idLast), AfxSig_cmdRange, &AfxThunkCmd_id<ThisClass, &ThisClass::memberFxn>, NULL },
#define ON_COMMAND_EX_RANGE(id, idLast, memberFxn) \
    { WM_COMMAND, CN_COMMAND, (UINT)(id), (UINT)(idLast), AfxSig_cmdEx, &AfxThunkCmd_id_b<ThisClass, &ThisClass::memberFxn>, NULL },
#define ON_UPDATE_COMMAND_UI(id, memberFxn) \
    { WM_COMMAND, (UINT)CN_UPDATE_COMMAND_UI, (UINT)(id), (UINT)(id), AfxSig_cmdUI, &AfxThunkCmd_ui<ThisClass, &ThisClass::memberFxn>, NULL },
#define ON_UPDATE_COMMAND_UI_RANGE(id, idLast, memberFxn) \
    { WM_COMMAND, (UINT)CN_UPDATE_COMMAND_UI, (UINT)(id), (UINT)(idLast), AfxSig_cmdUI, &AfxThunkCmd_ui<ThisClass, &ThisClass::memberFxn>, NULL },
// The control updates its own state (UpdateDialogControls asks the child first).
#define ON_UPDATE_COMMAND_UI_REFLECT(memberFxn) \
    { WM_COMMAND + WM_REFLECT_BASE, (WORD)CN_UPDATE_COMMAND_UI, 0, 0, AfxSig_cmdUI, &AfxThunkCmd_ui<ThisClass, &ThisClass::memberFxn>, NULL },

// Control notifications (WM_COMMAND)
#define ON_CONTROL(wNotifyCode, id, memberFxn) \
    { WM_COMMAND, (UINT)(WORD)(wNotifyCode), (UINT)(id), (UINT)(id), AfxSig_cmd, &AfxThunkCmd_v<ThisClass, &ThisClass::memberFxn>, NULL },
#define ON_CONTROL_RANGE(wNotifyCode, id, idLast, memberFxn) \
    { WM_COMMAND, (UINT)(WORD)(wNotifyCode), (UINT)(id), (UINT)(idLast), AfxSig_cmdRange, &AfxThunkCmd_id<ThisClass, &ThisClass::memberFxn>, NULL },
#define ON_CONTROL_REFLECT(wNotifyCode, memberFxn) \
    { WM_COMMAND + WM_REFLECT_BASE, (UINT)(WORD)(wNotifyCode), 0, 0, AfxSig_cmd, &AfxThunkCmd_v<ThisClass, &ThisClass::memberFxn>, NULL },
#define ON_CONTROL_REFLECT_EX(wNotifyCode, memberFxn) \
    { WM_COMMAND + WM_REFLECT_BASE, (UINT)(WORD)(wNotifyCode), 0, 0, AfxSig_reflectEx, &AfxThunkCmd_b<ThisClass, &ThisClass::memberFxn>, NULL },

// Notifications (WM_NOTIFY)
#define ON_NOTIFY(wNotifyCode, id, memberFxn) \
    { WM_NOTIFY, (UINT)(WORD)(int)(wNotifyCode), (UINT)(id), (UINT)(id), AfxSig_notify, &AfxThunkCmd_notify<ThisClass, &ThisClass::memberFxn>, NULL },
#define ON_NOTIFY_RANGE(wNotifyCode, id, idLast, memberFxn) \
    { WM_NOTIFY, (UINT)(WORD)(int)(wNotifyCode), (UINT)(id), (UINT)(idLast), AfxSig_notifyRange, &AfxThunkCmd_notify_id<ThisClass, &ThisClass::memberFxn>, NULL },
#define ON_NOTIFY_EX(wNotifyCode, id, memberFxn) \
    { WM_NOTIFY, (UINT)(WORD)(int)(wNotifyCode), (UINT)(id), (UINT)(id), AfxSig_notifyEx, &AfxThunkCmd_notify_id_b<ThisClass, &ThisClass::memberFxn>, NULL },
#define ON_NOTIFY_EX_RANGE(wNotifyCode, id, idLast, memberFxn) \
    { WM_NOTIFY, (UINT)(WORD)(int)(wNotifyCode), (UINT)(id), (UINT)(idLast), AfxSig_notifyEx, &AfxThunkCmd_notify_id_b<ThisClass, &ThisClass::memberFxn>, NULL },
#define ON_NOTIFY_REFLECT(wNotifyCode, memberFxn) \
    { WM_NOTIFY + WM_REFLECT_BASE, (UINT)(WORD)(int)(wNotifyCode), 0, 0, AfxSig_notify, &AfxThunkCmd_notify<ThisClass, &ThisClass::memberFxn>, NULL },
#define ON_NOTIFY_REFLECT_EX(wNotifyCode, memberFxn) \
    { WM_NOTIFY + WM_REFLECT_BASE, (UINT)(WORD)(int)(wNotifyCode), 0, 0, AfxSig_notifyEx, &AfxThunkCmd_notify_b<ThisClass, &ThisClass::memberFxn>, NULL },

// Button notifications
#define ON_BN_CLICKED(id, memberFxn)       ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_BN_SETFOCUS(id, memberFxn)      ON_CONTROL(BN_SETFOCUS, id, memberFxn)
#define ON_BN_KILLFOCUS(id, memberFxn)     ON_CONTROL(BN_KILLFOCUS, id, memberFxn)
#define ON_BN_HILITE(id, memberFxn)        ON_CONTROL(BN_HILITE, id, memberFxn)
#define ON_BN_UNHILITE(id, memberFxn)      ON_CONTROL(BN_UNHILITE, id, memberFxn)
#define ON_BN_DISABLE(id, memberFxn)       ON_CONTROL(BN_DISABLE, id, memberFxn)
#define ON_BN_PAINT(id, memberFxn)         ON_CONTROL(BN_PAINT, id, memberFxn)
// Edit notifications
#define ON_EN_SETFOCUS(id, memberFxn)  ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn)    ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_UPDATE(id, memberFxn)    ON_CONTROL(EN_UPDATE, id, memberFxn)
#define ON_EN_ERRSPACE(id, memberFxn)  ON_CONTROL(EN_ERRSPACE, id, memberFxn)
#define ON_EN_MAXTEXT(id, memberFxn)   ON_CONTROL(EN_MAXTEXT, id, memberFxn)
#define ON_EN_HSCROLL(id, memberFxn)   ON_CONTROL(EN_HSCROLL, id, memberFxn)
#define ON_EN_VSCROLL(id, memberFxn)   ON_CONTROL(EN_VSCROLL, id, memberFxn)
// Combo box notifications
#define ON_CBN_ERRSPACE(id, memberFxn)     ON_CONTROL(CBN_ERRSPACE, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn)    ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_CBN_DBLCLK(id, memberFxn)       ON_CONTROL(CBN_DBLCLK, id, memberFxn)
#define ON_CBN_SETFOCUS(id, memberFxn)     ON_CONTROL(CBN_SETFOCUS, id, memberFxn)
#define ON_CBN_KILLFOCUS(id, memberFxn)    ON_CONTROL(CBN_KILLFOCUS, id, memberFxn)
#define ON_CBN_EDITCHANGE(id, memberFxn)   ON_CONTROL(CBN_EDITCHANGE, id, memberFxn)
#define ON_CBN_EDITUPDATE(id, memberFxn)   ON_CONTROL(CBN_EDITUPDATE, id, memberFxn)
#define ON_CBN_DROPDOWN(id, memberFxn)     ON_CONTROL(CBN_DROPDOWN, id, memberFxn)
#define ON_CBN_CLOSEUP(id, memberFxn)      ON_CONTROL(CBN_CLOSEUP, id, memberFxn)
#define ON_CBN_SELENDOK(id, memberFxn)     ON_CONTROL(CBN_SELENDOK, id, memberFxn)
#define ON_CBN_SELENDCANCEL(id, memberFxn) ON_CONTROL(CBN_SELENDCANCEL, id, memberFxn)
// List box notifications
#define ON_LBN_ERRSPACE(id, memberFxn)  ON_CONTROL(LBN_ERRSPACE, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn) ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn)    ON_CONTROL(LBN_DBLCLK, id, memberFxn)
#define ON_LBN_SELCANCEL(id, memberFxn) ON_CONTROL(LBN_SELCANCEL, id, memberFxn)
#define ON_LBN_SETFOCUS(id, memberFxn)  ON_CONTROL(LBN_SETFOCUS, id, memberFxn)
#define ON_LBN_KILLFOCUS(id, memberFxn) ON_CONTROL(LBN_KILLFOCUS, id, memberFxn)
// Check list box: the check state of an item changed.
#define CLBN_CHKCHANGE 40
#define ON_CLBN_CHKCHANGE(id, memberFxn) ON_CONTROL(CLBN_CHKCHANGE, id, memberFxn)
// Static notifications (SS_NOTIFY)
#define ON_STN_CLICKED(id, memberFxn) ON_CONTROL(STN_CLICKED, id, memberFxn)
#define ON_STN_DBLCLK(id, memberFxn)  ON_CONTROL(STN_DBLCLK, id, memberFxn)
#define ON_STN_ENABLE(id, memberFxn)  ON_CONTROL(STN_ENABLE, id, memberFxn)
#define ON_STN_DISABLE(id, memberFxn) ON_CONTROL(STN_DISABLE, id, memberFxn)

#endif // BM_AFXMSG_H
