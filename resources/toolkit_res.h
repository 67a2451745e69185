// Ids of the toolkit's resources.
#pragma once

// Cursors (pictures in toolkit_cursors.txt, drawn at build time).
#define XTP_IDC_DRAGCOPY        9308    // arrow with a box holding a plus
#define XTP_IDC_DRAGMOVE        9309    // arrow with a dotted box
#define XTP_IDC_DRAGNONE        9311    // arrow with a barred circle
#define XTP_IDC_HSPLITBAR       9970    // two bars, arrows left and right
#define XTP_IDC_VSPLITBAR       9971    // two bars, arrows up and down
#define XTP_IDC_HAND            9973    // pointing hand, for systems without one
#define XTP_IDC_COMMANDBARS_RESIZE 9972   // a bar with arrows left and right

// Bitmaps (pictures in toolkit_bitmaps.txt, drawn at build time).
#define XTP_IDR_MENUBAR_MDIBUTTONS 9102   // restore, minimize, maximize, close

// Strings of the command bars.
#define XTP_ID_CUSTOMIZE_ADDORREMOVE 9122
#define XTP_ID_CUSTOMIZE_RESET 9123
#define XTP_ID_TOOLBAR_EXPAND 9148
#define XTP_ID_TOOLBAR_HIDE 9149
#define XTP_ID_MENUBAR_CLOSE 9151
#define XTP_ID_MENUBAR_RESTORE 9152
#define XTP_ID_MENUBAR_MINIMIZE 9153
#define XTP_IDS_CONFIRM_RESETTOOLBAR 9173
