// Ids of the tab strips' and the docking panes' resources.
#pragma once

// Docking caption buttons (command ids and their tooltips).
#define XTP_IDS_DOCKINGPANE_AUTOHIDE    9456
#define XTP_IDS_DOCKINGPANE_CLOSE       9457
#define XTP_IDS_DOCKINGPANE_MAXIMIZE    9458
#define XTP_IDS_DOCKINGPANE_RESTORE     9459
#define XTP_IDS_DOCKINGPANE_MENU        9460

// Tooltips of the tab strips' navigate buttons.
#define XTP_IDS_TABNAVIGATEBUTTON_LEFT  9800
#define XTP_IDS_TABNAVIGATEBUTTON_RIGHT 9801
#define XTP_IDS_TABNAVIGATEBUTTON_CLOSE 9802
