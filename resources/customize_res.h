// Ids of the customise dialog's resources: the Toolbars, Commands and
// Options pages, the new-toolbar dialog, the customise context menu, their
// strings, the drag cursors and the stock button images.
#pragma once

// Bitmap (pictures in customize_bitmaps.txt, drawn at build time).
#define XTP_IDB_CUSTOMIZE_ICONS        9103   // 42 stock button images, 16 x 16

// Cursors (pictures in customize_cursors.txt, drawn at build time).
#define XTP_IDC_CUSTOMIZE_DRAGCOPY     9105
#define XTP_IDC_CUSTOMIZE_DRAGMOVE     9106
#define XTP_IDC_CUSTOMIZE_DRAGNONE     9107

// Dialogs.
#define XTP_IDD_PAGE_TOOLBARS          9117
#define XTP_IDD_PAGE_OPTIONS           9118
#define XTP_IDD_PAGE_COMMANDS          9119
#define XTP_IDD_NEWTOOLBAR             9120

// The customise context menu and its commands.
#define XTP_IDR_CUSTOMIZEMENU          9121
#define XTP_ID_CUSTOMIZE_RESETCONTROL  9123
#define XTP_ID_CUSTOMIZE_DELETE        9124
#define XTP_ID_CUSTOMIZE_NAME          9125
#define XTP_ID_CUSTOMIZE_COPYBUTTONIMAGE  9126
#define XTP_ID_CUSTOMIZE_PASTEBUTTONIMAGE 9127
#define XTP_ID_CUSTOMIZE_RESETBUTTONIMAGE 9128
#define XTP_ID_CUSTOMIZE_EDITBUTTONIMAGE  9129
#define XTP_ID_CUSTOMIZE_CHANGEBUTTONIMAGE 9130
#define XTP_ID_CUSTOMIZE_DEFAULTSTYLE  9131
#define XTP_ID_CUSTOMIZE_IMAGEANDTEXT  9132
#define XTP_ID_CUSTOMIZE_TEXTONLY      9133
#define XTP_ID_CUSTOMIZE_BEGINAGROUP   9134

// Controls of the pages.
#define XTP_IDC_CUSTOMIZE_LIST         100    // toolbars list; categories list; edit of the new-toolbar dialog
#define XTP_IDC_CUSTOMIZE_NEW          101
#define XTP_IDC_CUSTOMIZE_RENAME       102
#define XTP_IDC_CUSTOMIZE_DELETEBAR    103
#define XTP_IDC_CUSTOMIZE_RESET        104
#define XTP_IDC_CUSTOMIZE_COMMANDS     101    // commands list of the Commands page
#define XTP_IDC_OPTIONS_FULLMENUS      100
#define XTP_IDC_OPTIONS_AFTERDELAY     101
#define XTP_IDC_OPTIONS_RESETUSAGE     102
#define XTP_IDC_OPTIONS_LARGEICONS     103
#define XTP_IDC_OPTIONS_SCREENTIPS     104
#define XTP_IDC_OPTIONS_SHORTCUTS      105
#define XTP_IDC_OPTIONS_ANIMATION      106
#define XTP_IDC_OPTIONS_GROUP_OTHER    107
#define XTP_IDC_OPTIONS_GROUP_MENUS    108

// Strings.
#define XTP_IDS_CUSTOMIZE_CLOSE        9160
#define XTP_IDS_CUSTOMIZE              9161
#define XTP_IDS_NEWMENU                9162
#define XTP_IDS_CUSTOM_BAR             9163
#define XTP_IDS_ERROR_BLANKNAME        9164
#define XTP_IDS_ERROR_LIMIT            9165
#define XTP_IDS_ERROR_EXISTS           9166
#define XTP_IDS_RENAMETOOLBAR          9167
#define XTP_IDS_DELETETOOLBAR          9168
#define XTP_IDS_ALL_COMMANDS           9169
#define XTP_IDS_CONFIRM_RESETUSAGE     9170
#define XTP_IDS_BUILTINMENUS           9174
#define XTP_IDS_ANIMATION_SYSDEF       9179
#define XTP_IDS_ANIMATION_RANDOM       9180
#define XTP_IDS_ANIMATION_UNFOLD       9181
#define XTP_IDS_ANIMATION_SLIDE        9182
#define XTP_IDS_ANIMATION_FADE         9183
#define XTP_IDS_ANIMATION_NONE         9184
