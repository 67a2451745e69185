// The order of the game's floating windows (floating toolbars and the
// windows of floating panes) among themselves on the screen, kept between
// runs: a restart shows them stacked as the player left them.
#pragma once

#include <afxwin.h>

// The frame's floating windows that show, or are hidden for now and show
// again (a floating toolbar while the frame is not in front, the windows of
// a minimised frame), from the top of the order down, each named by what it
// holds: "B<bar id>" for a toolbar, "P<pane id>" (its first pane's) for a
// pane window, separated by commas.
CString GetFloatingOrder(CFrameWnd* pFrame);

// Stacks the frame's floating windows named in the order (top first) in
// that order, above the frame's other owned windows, on the screen too;
// names of windows that no longer float are passed over. Nothing moves for
// an empty order.
void ApplyFloatingOrder(CFrameWnd* pFrame, const CString& strOrder);

// The name of a floating window as GetFloatingOrder writes it; empty for a
// window that is neither a floating toolbar nor a pane window.
CString FloatingWindowName(HWND hWnd);
