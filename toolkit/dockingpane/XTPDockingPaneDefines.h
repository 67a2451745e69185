// Shared numbers and records of the docking panes: object types, docking
// sides, pane options, the owner notification message and its records.
#pragma once

#include <XTPCommon.h>
#include <afxtempl.h>

class CXTPDockingPaneBase;
class CXTPDockingPane;
class CXTPDockingPaneLayout;
class CXTPDockingPaneManager;
class CXTPDockingPanePaintManager;
class CXTPDockingPaneTabbedContainer;
class CXTPDockingPaneSplitterContainer;
class CXTPDockingPaneClientContainer;
class CXTPDockingPaneMiniWnd;
class CXTPDockingPaneAutoHidePanel;
class CXTPDockingPaneSplitterWnd;
class CXTPDockingPaneCaptionButton;
class CXTPDockingPaneContext;

// Object types (also the stored "Type").
enum XTPDockingPaneType
{
    xtpPaneTypeDockingPane = 0,
    xtpPaneTypeTabbedContainer = 1,
    xtpPaneTypeSplitterContainer = 2,
    xtpPaneTypeMiniWnd = 3,
    xtpPaneTypeClientContainer = 4,
    xtpPaneTypeAutoHidePanel = 5
};

// Docking sides (left and right exchanged for a right-to-left site).
enum XTPDockingPaneDirection
{
    xtpPaneDockLeft = 0,
    xtpPaneDockRight = 1,
    xtpPaneDockTop = 2,
    xtpPaneDockBottom = 3
};

// Pane options.
enum XTPDockingPaneOptions
{
    xtpPaneNoCloseable = 1,
    xtpPaneNoHideable = 2,
    xtpPaneNoFloatable = 4,
    xtpPaneNoCaption = 8,
    xtpPaneHasMenuButton = 16,
    xtpPaneNoDockable = 32
};

// Pane enabled flags.
enum XTPDockingPaneEnableOptions
{
    xtpPaneDisabled = 0,
    xtpPaneEnabled = 1,
    xtpPaneEnableActions = 2,
    xtpPaneEnabledAll = 3
};

// Caption directions (manager option).
enum XTPDockingPaneCaptionDirection
{
    xtpPaneCaptionHorizontal = 0,
    xtpPaneCaptionVertical = 1,
    xtpPaneCaptionAutoByPosition = 2,
    xtpPaneCaptionAutoBySize = 3
};

// Keyboard shortcuts a manager may take over (its keyboard option).
enum XTPDockingPaneKeyboardShortcuts
{
    xtpPaneKeyboardUnused = 0,
    xtpPaneKeyboardUseAltMinus = 1,   // the active pane's window menu
    xtpPaneKeyboardUseAltF6 = 2,      // the next (with Shift the previous) pane
    xtpPaneKeyboardUseAltF7 = 4,      // the window selector on the tool windows
    xtpPaneKeyboardUseCtrlTab = 8,    // the window selector on the documents
    xtpPaneKeyboardUseAll = 15
};

// Caption buttons (command ids; their tooltips are the strings of these ids).
#define XTP_IDS_DOCKINGPANE_AUTOHIDE 9456
#define XTP_IDS_DOCKINGPANE_CLOSE 9457
#define XTP_IDS_DOCKINGPANE_MAXIMIZE 9458
#define XTP_IDS_DOCKINGPANE_RESTORE 9459
#define XTP_IDS_DOCKINGPANE_MENU 9460

// Cursors of the splitter bars.
#define XTP_IDC_HSPLITBAR 9970
#define XTP_IDC_VSPLITBAR 9971
// The window selector's hand cursor, for systems without one.
#define XTP_IDC_HAND 9973

// The manager tells its owner window about changes with this message
// (a fixed number) and a code in WPARAM.
#define XTPWM_DOCKINGPANE_NOTIFY 0x2AAD

#define XTP_DPN_SHOWWINDOW 1    // LPARAM the pane: its window is about to be shown
#define XTP_DPN_RCLICK 2        // LPARAM the container (or pane): right button pressed
#define XTP_DPN_CLOSEPANE 3     // LPARAM the pane: being closed; -1 keeps it
#define XTP_DPN_ACTION 4        // LPARAM an XTP_DOCKINGPANE_ACTION record
#define XTP_DPN_CONTEXTMENU 5   // LPARAM an XTP_DOCKINGPANE_CLICK record

// Actions of XTP_DPN_ACTION.
enum XTPDockingPaneAction
{
    xtpPaneActionFloating = 0,
    xtpPaneActionFloated = 1,
    xtpPaneActionClosing = 2,
    xtpPaneActionClosed = 3,
    xtpPaneActionDocking = 4,
    xtpPaneActionDocked = 5,
    xtpPaneActionAttaching = 6,
    xtpPaneActionAttached = 7,
    xtpPaneActionPinning = 8,
    xtpPaneActionPinned = 9,
    xtpPaneActionCollapsing = 10,
    xtpPaneActionCollapsed = 11,
    xtpPaneActionExpanding = 12,
    xtpPaneActionExpanded = 13,
    xtpPaneActionActivated = 14,
    xtpPaneActionDeactivated = 15,
    xtpPaneActionDetaching = 16,
    xtpPaneActionDragging = 17,
    xtpPaneActionUnpinning = 18,
    xtpPaneActionUnpinned = 19
};

// LPARAM of XTP_DPN_ACTION. The owner sets bCancel to veto.
struct XTP_DOCKINGPANE_ACTION
{
    XTPDockingPaneAction action;
    BOOL bCancel;
    CXTPDockingPane* pPane;
    CXTPDockingPaneBase* pDockContainer;
    XTPDockingPaneDirection dockDirection;
};

// LPARAM of XTP_DPN_CONTEXTMENU: the pane, a point and an exclusion
// rectangle, in screen coordinates.
struct XTP_DOCKINGPANE_CLICK
{
    CXTPDockingPane* pPane;
    int x;
    int y;
    RECT rcExclude;
};

// Stored sizes are kept within this range.
#define XTP_DOCKINGPANE_MAXSIZE 32000

// The docking size of a pane whose stored layout holds none (or a zero one).
#define XTP_DOCKINGPANE_DEFAULTCX 200
#define XTP_DOCKINGPANE_DEFAULTCY 120

typedef CList<CXTPDockingPaneBase*, CXTPDockingPaneBase*> CXTPDockingPaneBaseList;
typedef CMap<CXTPDockingPaneBase*, CXTPDockingPaneBase*, CXTPDockingPaneBase*, CXTPDockingPaneBase*>
    CXTPPaneToPaneMap;
