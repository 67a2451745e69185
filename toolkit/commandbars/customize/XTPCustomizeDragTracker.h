// The customise context of one set of command bars: it runs every customise
// drag of a control, from the Commands page onto a bar or from one bar to
// another, and knows the open Customize sheet while customisation runs.
#pragma once

#include "XTPCommandBarsDefines.h"
#include <afxtempl.h>

class CXTPCommandBars;
class CXTPCommandBar;
class CXTPControl;
class CXTPCustomizeSheet;

class CXTPCustomizeDragTracker
{
public:
    // Drop effects Track answers besides the bar's own (1 copy, 2 move).
    enum
    {
        dropNowhere = 0,    // the mouse moved but no bar took the drop
        dropCancelled = 5   // Escape, the right button, WM_QUIT, or the mouse never moved
    };

    explicit CXTPCustomizeDragTracker(CXTPCommandBars* pCommandBars);
    ~CXTPCustomizeDragTracker();

    // Runs a modal drag of the control and answers its drop effect: the
    // effect the target bar left, 0 when the drop fell on no bar, 5 when the
    // drag was cancelled. With bCopyOnly the cursor always shows a copy. A
    // drag whose first mouse move comes without the left button held never
    // had the button: it is cancelled, nothing dropped.
    int Track(CXTPControl* pControl, BOOL bCopyOnly);

    // Bars that accept drops add themselves when their window is made and
    // leave when it is destroyed; later bars are found first.
    void Register(CXTPCommandBar* pBar);
    void Unregister(CXTPCommandBar* pBar);
    void UnregisterAll() { m_arrBars.RemoveAll(); }
    int GetRegisteredCount() const { return (int)m_arrBars.GetSize(); }

    // The open Customize sheet, set and cleared by the sheet itself.
    void SetSheet(CXTPCustomizeSheet* pSheet) { m_pSheet = pSheet; }
    CXTPCustomizeSheet* GetSheet() const { return m_pSheet; }

    // The visible registered bar whose window holds the screen point.
    CXTPCommandBar* FindDropBar(CPoint ptScreen) const;
    // The bar under the point becomes the target (enter, over or leave).
    void UpdateTarget(CPoint ptScreen);
    CXTPCommandBar* GetTarget() const { return m_pTarget; }
    // A bar's mouse move in customize mode (point in the bar's client
    // coordinates): while a drag runs it moves the drag's target, so a bar
    // that sees the mouse during the drag keeps the marker where the mouse
    // is. Answers whether a drag took the point.
    BOOL OnBarMouseMove(CXTPCommandBar* pBar, CPoint point);
    BOOL IsDragging() const { return m_pDragged != NULL; }
    BOOL IsMove() const { return m_bMove; }
    // The cursor id the drag shows now (9105 copy, 9106 move, 9107 none).
    UINT GetCursorId() const;

protected:
    void UpdateCursor();
    void LeaveTarget();
    HWND GetCaptureWindow(CXTPControl* pControl) const;

    CXTPCommandBars* m_pCommandBars;
    CXTPCustomizeSheet* m_pSheet;
    CXTPControl* m_pDragged;
    BOOL m_bMove;
    BOOL m_bCopyOnly;
    CXTPCommandBar* m_pTarget;
    CPoint m_ptStart;
    CArray<CXTPCommandBar*, CXTPCommandBar*> m_arrBars;
    HCURSOR m_hCursorNone;
    HCURSOR m_hCursorMove;
    HCURSOR m_hCursorCopy;
};
