// The drag-and-dock context of a toolbar: the modal mouse loop that moves a
// toolbar between the dock bars and the floating state, resizes floating
// toolbars by their borders and keeps them on screen, and the double click
// that floats a docked toolbar or docks a floating one.
#pragma once

#include "XTPCommon.h"

class CXTPToolBar;

class CXTPDockContext
{
public:
    explicit CXTPDockContext(CXTPToolBar* pBar);
    virtual ~CXTPDockContext();

    // A press on the gripper (screen point).
    virtual void StartDrag(CPoint pt);
    // A press on a floating toolbar's border: hit-test code 10 to 17.
    virtual void StartResize(int nHitTest, CPoint pt);
    // A double click; TRUE when the toolbar changed state.
    virtual BOOL ToggleDocking();
    // The modal loop; it ends on button release, Escape or a lost capture.
    virtual void Track();

    // One mouse move of the loop (screen point): a move in drag mode, else
    // a resize from the grabbed border.
    void OnMouseMoveTo(CPoint pt);
    // Moves the rectangle by the least offset that puts the point inside it.
    static void AFX_CDECL MoveRectToPoint(CRect& rect, CPoint pt);
    // Keeps at least 10 pixels of the rectangle inside the work area.
    static void AFX_CDECL KeepOnScreen(CRect& rect);

    enum { nDragMove = 1, nScreenMargin = 10, nDockMargin = 20 };

    CXTPToolBar* m_pBar;
    int m_nHitTest;             // 1 moving, else the grabbed border
    CPoint m_ptLast;
    int m_uMRUDockPosition;     // remembered docking: dock bar and rectangle
    CRect m_rectMRUDockPos;
    CPoint m_ptMRUFloatPos;
    CRect m_rectDragFrame;
    CRect m_rectFloat;

protected:
    void Move(CPoint pt);
    void Resize(CPoint pt);
    void Stretch(CPoint pt);
};
