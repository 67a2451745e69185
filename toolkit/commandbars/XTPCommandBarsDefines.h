// Numbers shared by the command bars, their controls, the paint themes and
// the frames that host them: control and bar kinds, positions, flag bits,
// the messages the bars send to their site, timers, fixed command ids and
// the records that travel with the site messages.
#pragma once

#include "XTPCommon.h"
#include <afxclip.h>
#include <afxext.h>
#include "../../resources/toolkit_res.h"
#include <algorithm>

class CXTPControl;
class CXTPCommandBar;
class CXTPCommandBars;

// The run-time class of a class nested in another (DECLARE_DYNCREATE (inner)
// in the nested class).
#define XTP_IMPLEMENT_DYNCREATE_NESTED(outer, inner, base) \
    CObject* PASCAL outer::inner::CreateObject() { return new outer::inner; } \
    const CRuntimeClass outer::inner::class##inner = { #inner, (int)sizeof(outer::inner), 0xFFFF, \
                                                       outer::inner::CreateObject, RUNTIME_CLASS(base) }; \
    static AFX_CLASSINIT _BM_CLASSINIT_NAME(_init_##inner, __LINE__)(&outer::inner::class##inner); \
    CRuntimeClass* outer::inner::GetRuntimeClass() const { return (CRuntimeClass*)&outer::inner::class##inner; }

// Kinds of controls (CXTPControl::GetType).
enum XTPControlType
{
    xtpControlError = 0,
    xtpControlButton = 1,
    xtpControlPopup = 2,
    xtpControlButtonPopup = 3,
    xtpControlSplitButtonPopup = 4,
    xtpControlComboBox = 5,
    xtpControlEdit = 6,
    xtpControlCustom = 7,
    xtpControlLabel = 8,
    xtpControlCheckBox = 9,
    xtpControlGallery = 10,
    xtpControlRadioButton = 11
};

// Button styles (CXTPControl::GetStyle).
enum XTPButtonStyle
{
    xtpButtonAutomatic = 0,
    xtpButtonCaption = 1,
    xtpButtonIcon = 2,
    xtpButtonIconAndCaption = 3,
    xtpButtonIconAndCaptionBelow = 4,
    xtpButtonCaptionAndDescription = 5
};

// Kinds of bars (CXTPCommandBar::GetType).
enum XTPBarType
{
    xtpBarTypeMenuBar = 0,
    xtpBarTypeNormal = 1,
    xtpBarTypePopup = 2,
    xtpBarTypeRibbon = 3,
    xtpBarTypeRibbonPopup = 5   // a ribbon tab popup or group popup
};

// Where a bar is (CXTPCommandBar::GetPosition).
enum XTPBarPosition
{
    xtpBarTop = 0,
    xtpBarBottom = 1,
    xtpBarLeft = 2,
    xtpBarRight = 3,
    xtpBarFloating = 4,
    xtpBarPopup = 5,
    xtpBarListBox = 6,
    xtpBarNone = 7
};

// Positions 2, 3 and 5 lay their controls out top to bottom.
inline BOOL IsVerticalPosition(int nPosition)
{
    return nPosition == xtpBarLeft || nPosition == xtpBarRight || nPosition == xtpBarPopup;
}

// Bits of a control's hide flags.
enum XTPControlHideFlags
{
    xtpNoHide = 0,
    xtpHideGeneric = 1,         // hidden by the program
    xtpHideWrap = 2,            // does not fit on its toolbar
    xtpHideExcluded = 4,        // excluded from layout (a docked-vertical field, hidden ribbon tabs)
    xtpHideScroll = 8,          // scrolled out of view in a popup
    xtpHideCustomize = 16,      // hidden by the user
    xtpHideExpand = 32,         // rarely used command left out of a short menu
    xtpHideDocTemplate = 64,    // hidden for the active document template
    xtpHideRibbonTab = 128      // in a group of a ribbon tab that is not selected
};

// Bits of a control's flags.
enum XTPControlFlags
{
    xtpFlagRightAlign = 1,          // right-aligned on a toolbar row
    xtpFlagSkipFocus = 2,           // skipped by keyboard navigation
    xtpFlagLeftPopup = 4,           // opens its popup to the left
    xtpFlagManualUpdate = 8,        // not updated by the idle command-UI pass
    xtpFlagNoMovable = 16,          // cannot be moved in customisation
    xtpFlagControlStretched = 32,   // stretched to fill its row
    xtpFlagShowPopupBarTip = 0x40,  // shows its tip on popup bars
    xtpFlagWrapRow = 0x80           // starts a new row or column
};

// Bits of a bar's flags.
enum XTPToolBarFlags
{
    xtpFlagAlignTop = 1,
    xtpFlagAlignBottom = 2,
    xtpFlagAlignLeft = 4,
    xtpFlagAlignRight = 8,
    xtpFlagAlignAny = 0x0F,
    xtpFlagFloating = 16,
    xtpFlagHideWrap = 0x20,             // the bar may shrink, hiding what does not fit
    xtpFlagStretched = 0x40,            // takes a whole row
    xtpFlagStretchedShared = 0x100000,  // stretches into the free room of its row
    xtpFlagSmartLayout = 0x200000       // large-button groups
};

// Bits of the menu bar's flags.
enum XTPMenuBarFlags
{
    xtpFlagHideMinimizeBox = 0x100,
    xtpFlagHideMaximizeBox = 0x200,
    xtpFlagIgnoreSetMenuMessage = 0x400,
    xtpFlagHideClose = 0x1000,
    xtpFlagAddMDISysPopup = 0x2000
};

// A bar's style bits.
#define XTP_CBRS_GRIPPER 0x400000L

// Layout modes beyond the class library's LM_* bits.
#define LM_HIDEWRAP 0x80        // do not wrap: hide what does not fit
#define LM_POPUP 0x100          // a popup toolbar

// Bits of a popup bar's placement flags.
enum XTPPopupDirection
{
    xtpPopupLeft = 1,   // opens to the left
    xtpPopupDown = 2    // drops down below the control (else beside it)
};

// Messages the bars send to their site (the frame that hosts them).
#define WM_XTP_FRAMEDRAWSTATUSBAR 0x2854        // answer: the frame draws the status bar's area
#define WM_XTP_TOOLBARVISIBLECHANGED 0x2855     // WPARAM the bar, LPARAM the new state
#define WM_XTP_CONTROLSELECTED 0x2856           // WPARAM the control or 0
#define WM_XTP_DRAGCONTROLCHANGED 0x2857        // the customize drag control changed
#define WM_XTP_INITMENU 0x2858                  // WPARAM the menu bar that starts tracking
#define WM_XTP_CONTROLRBUTTONUP 0x2859          // WPARAM the point, LPARAM the control; 1 consumes
#define WM_XTP_TRACKINGKEYDOWN 0x285A           // WPARAM the address of the key code, LPARAM the bar
#define WM_XTP_INITCOMMANDSPOPUP 0x285B         // LPARAM the popup bar about to open
#define WM_XTP_TOOLBARCONTEXTMENU 0x285C        // LPARAM the toolbars popup, which the site may change
#define WM_XTP_UNINITCOMMANDSPOPUP 0x285D       // LPARAM the popup bar that closed
#define WM_XTP_BEFORECREATECONTROL 0x285E       // LPARAM an XTP_COMMANDBARS_CREATECONTROL
#define WM_XTP_AFTERCREATECONTROL 0x285F        // LPARAM the same record, holding the control
#define WM_XTP_GETWINDOWICON 0x2860             // to an MDI child: answer an icon or 0
#define WM_XTP_CREATECOMMANDBAR 0x2861          // LPARAM an XTP_COMMANDBARS_CREATEBAR
#define WM_XTP_COMMAND 0x2862                   // WPARAM the id, LPARAM an NMXTPCONTROL
#define WM_XTP_TOOLBARRESET 0x2864              // a toolbar or the menu bar was reset
#define WM_XTP_CUSTOMIZATION_ADDTOOLBAR 0x2865
#define WM_XTP_CUSTOMIZATION_DELETETOOLBAR 0x2866
#define WM_XTP_TEAROFFDONE 0x2867               // WPARAM the new toolbar, LPARAM the popup

// Notification code of WM_XTP_COMMAND: the control executes.
#define CBN_XTP_EXECUTE 100

// Window timers of the command bars.
#define XTP_TID_EXECUTEONPRESS 4269     // auto-repeat of a pressed button
#define XTP_TID_SCROLLDOWN 5001         // popup scrolling, 80 ms
#define XTP_TID_SCROLLUP 5002
#define XTP_TID_TEAROFFSELECTED 5003    // tear-off gripper hover, 80 ms
#define XTP_TID_SHOWFULLMENU 5004       // show-full-menu delay, 900 ms
#define XTP_TID_HOVER 112223            // hover on the selected control, 300 ms
#define XTP_TID_EXPANDED_POPUP 112224   // intelligent popup shows all after 5000 ms
#define XTP_TID_SHOWKEYBOARDTIPS 52426
#define XTP_TID_ANIMATION 707907        // animation step, 50 ms
#define XTP_TID_REFRESHMDIBUTTONS 12223
#define XTP_TID_SHOWFLOATING 12224      // a hidden floating bar's check for its frame in front, 100 ms

// Fixed command ids of the command bars (those with resources are in
// toolkit_res.h).
#define XTP_ID_DIALOGBAR_CAPTION 9147
#define XTP_ID_POPUPBAR_EXPAND 9150
#define XTP_ID_MENUBAR_SYSMENU 9154
#define XTP_ID_WINDOWLIST 35000
#define XTP_ID_CUSTOMIZE 35001
#define XTP_ID_WORKSPACE_ACTIONS 35002
#define XTP_ID_FILE_MRU 35003
#define XTP_ID_TOOLBARLIST 59392
#define XTP_ID_OLE_VERBS 57872
#define XTP_ID_FILE_MRU_FILE1 57616

// Ids in these ranges never get an action.
inline BOOL XTPIsActionlessId(int nId)
{
    return (nId >= 9100 && nId <= 9299) || (nId >= 35000 && nId <= 35003);
}

// The record of WM_XTP_BEFORECREATECONTROL / WM_XTP_AFTERCREATECONTROL: the
// site may change the kind, text, id and style, or put a control of its own
// into pControl.
struct XTP_COMMANDBARS_CREATECONTROL
{
    int nID;                        // the command id
    CXTPControl* pControl;          // filled by the site, else NULL
    BOOL bToolBar;                  // built from a toolbar resource (else from a menu)
    int nIndex;                     // the item's place in the resource or menu
    CMenu* pMenu;                   // the menu being read (NULL for toolbars)
    CXTPCommandBar* pCommandBar;    // the bar being filled
    CString strCaption;             // the item's text (toolbars: the bar's title)
    XTPControlType controlType;     // the kind to create
    XTPButtonStyle buttonStyle;     // the style to give it
};

// The record of WM_XTP_CREATECOMMANDBAR: the site may put a bar of its own
// into pCommandBar.
struct XTP_COMMANDBARS_CREATEBAR
{
    CXTPCommandBar* pCommandBar;    // filled by the site, else NULL
    BOOL bPopup;                    // a popup bar is asked for
    BOOL bExpandBar;                // the popup of a toolbar's expand button
    BOOL bCustomBar;                // a custom toolbar
    BOOL bTearOffBar;               // a floating (torn-off) toolbar
    LPCTSTR lpcstrCaption;
    UINT nID;
};

// The record of WM_XTP_COMMAND: window handle 0, the id, the code and the
// control.
struct NMXTPCONTROL
{
    NMHDR hdr;
    CXTPControl* pControl;
};
