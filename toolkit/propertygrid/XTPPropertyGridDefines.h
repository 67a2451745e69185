// Shared definitions of the property grid: the notification message and its
// codes, the edit request record, item flags, sort modes, border styles,
// theme numbers and the ids of the in-place buttons.
#pragma once

#include "XTPCommon.h"
#include "propertygrid_res.h"
#include "toolkit_res.h"

#include <algorithm>

class CXTPPropertyGridItem;

// The grid's notification to its owner: WPARAM the code, LPARAM the data.
#define XTPWM_PROPERTYGRID_NOTIFY 0x2ADF

#define XTP_PGN_SORTORDER_CHANGED 1   // LPARAM: the grid's control id
#define XTP_PGN_SELECTION_CHANGED 2   // LPARAM: the item
#define XTP_PGN_ITEMVALUE_CHANGED 3   // LPARAM: the item
#define XTP_PGN_EDIT_CHANGED 4        // LPARAM: the in-place edit
#define XTP_PGN_INPLACEBUTTONDOWN 5   // LPARAM: the in-place button; answer 1 = handled
#define XTP_PGN_DRAWITEM 6            // LPARAM: DRAWITEMSTRUCT*; answer 1 = drawn by the owner
#define XTP_PGN_ITEMEXPANDCHANGED 7   // LPARAM: the item
#define XTP_PGN_DBLCLICK 8            // LPARAM: the item
#define XTP_PGN_RCLICK 9              // LPARAM: the item
#define XTP_PGN_VERB_CLICK 10         // LPARAM: the verb
#define XTP_PGN_REQUESTEDIT 11        // LPARAM: XTP_PROPERTYGRID_EDITREQUEST*
#define XTP_PGN_AFTEREDIT 12          // LPARAM: XTP_PROPERTYGRID_EDITREQUEST*
#define XTP_PGN_CANCELEDIT 13         // LPARAM: XTP_PROPERTYGRID_EDITREQUEST*

// The record of notifications 11-13: the owner may cancel the edit, and for
// 12 may change the text that is about to be applied.
struct XTP_PROPERTYGRID_EDITREQUEST
{
    BOOL bCancel;
    CString strValue;
    CXTPPropertyGridItem* pItem;
};

// Edit-style flags of an item.
enum XTPPropertyGridItemFlags
{
    xtpPropertyGridItemEdit = 1,          // the value is typed in the in-place edit
    xtpPropertyGridItemExpandButton = 2,  // in-place button 100 ("...")
    xtpPropertyGridItemComboButton = 4    // in-place button 101 (drop-down of the constraints)
};

// The view's sort modes.
enum XTPPropertyGridSortOrder
{
    xtpGridSortCategorized = 0,
    xtpGridSortAlphabetical = 1,
    xtpGridSortNoSort = 2
};

// Border of the view and the panes.
enum XTPPropertyGridBorderStyle
{
    xtpGridBorderNone = 0,
    xtpGridBorderFlat = 1,          // window-frame colour
    xtpGridBorderStaticEdge = 2,    // the theme's border colour
    xtpGridBorderClientEdge = 3     // sunken
};

// Theme numbers of CXTPPropertyGrid::SetTheme.
enum XTPPropertyGridPaintTheme
{
    xtpGridThemeDefault = 0,
    xtpGridThemeNativeWinXP = 1,
    xtpGridThemeOffice2003 = 2,
    xtpGridThemeCool = 3,
    xtpGridThemeSimple = 4,
    xtpGridThemeDelphi = 5,
    xtpGridThemeWhidbey = 6,
    xtpGridThemeOfficeXP = 7
};

// Ids of the two built-in in-place buttons.
#define XTP_ID_PROPERTYGRID_EXPANDBUTTON 100
#define XTP_ID_PROPERTYGRID_COMBOBUTTON 101

// Width of one glyph column (category margin, expand glyph) in pixels.
#define XTP_PGI_EXPAND_BORDER 14

// The grid window's style bit that asks the owner to draw rows (code 6).
#define XTP_PGS_OWNERDRAW 0x0010

// Navigation positions of CXTPPropertyGrid::OnNavigate.
enum XTPPropertyGridNavigate
{
    xtpGridNavigatePrevControl = -2,
    xtpGridNavigateBeforeRows = -1,
    xtpGridNavigateView = 0,
    xtpGridNavigateEdit = 1,
    xtpGridNavigateButtons = 2,
    xtpGridNavigateNextRow = 3,
    xtpGridNavigateVerbs = 4,
    xtpGridNavigateNextControl = 5
};

// The next message of a mouse-tracking loop that holds the capture: FALSE
// when the window lost the capture or the quit message came (it is posted
// again for the outer loop).
inline BOOL XTPPropertyGridNextCaptureMessage(HWND hWndCapture, MSG& msg)
{
    if (::GetCapture() != hWndCapture)
        return FALSE;
    if (!::GetMessage(&msg, NULL, 0, 0))
    {
        ::PostQuitMessage((int)msg.wParam);
        return FALSE;
    }
    return TRUE;
}
