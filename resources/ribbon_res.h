// Resource ids of the ribbon: the quick-access menus and the tooltips of the
// quick-access buttons.
#pragma once

#define XTP_IDR_RIBBON_QUICKACCESSMENU 9601
#define XTP_IDR_RIBBON_QUICKACCESSMENUMORE 9602
#define XTP_IDS_RIBBON_QUICKACCESS 9603
#define XTP_IDS_RIBBON_QUICKACCESSMORE 9611

// The large (32 x 32) button pictures of the ribbon's test frame, in the
// order new puzzle, open, undo, play, pause, clock (ribbon_bitmaps.txt).
#define IDB_RIBBON_LARGE_BUTTONS 9620
