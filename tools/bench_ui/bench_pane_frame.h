// A frame with a docking pane manager for the docking benchmarks: it gives
// each pane a plain child window when the pane asks to be shown, so that
// layout passes have real windows to place.
#pragma once

#include <afxwin.h>
#include <XTPDockingPaneManager.h>

namespace bench_ui
{
// The frame's view: draws nothing.
class CBenchPaneView : public CView
{
    DECLARE_DYNCREATE(CBenchPaneView)
public:
    virtual void OnDraw(CDC*) {}
};

class CBenchPaneFrame : public CFrameWnd
{
public:
    CXTPDockingPaneManager m_paneManager;

protected:
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
};
} // namespace bench_ui
