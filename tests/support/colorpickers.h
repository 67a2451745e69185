// Helpers of the colour dialog's tests: where to click a hexagon cell, and
// a click sent straight to a picker window.
#pragma once

#include "XTColorPageStandard.h"

namespace testsupport
{
// A point well inside a hexagon cell: its anchor is the cell's top left
// pixel row, and a large cell is twice the size of a small one.
inline CPoint HexCellCentre(CXTColorHex& hex, int nCell)
{
    const HEXCOLOR_CELL* pCell = hex.GetCell(nCell);
    const CPoint pt = pCell->pPoints[0];
    return pCell->bSmall ? CPoint(pt.x + 6, pt.y + 4) : CPoint(pt.x + 14, pt.y + 8);
}

// The left button goes down and up at a client point of the window.
inline void SendClick(CWnd& wnd, CPoint pt)
{
    wnd.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    wnd.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
}
} // namespace testsupport
