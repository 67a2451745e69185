// Ids of the profile editors' resources.
#pragma once

// Dialogs
#define IDD_APPEARANCE_PROFILE          109
#define IDD_APPEARANCE_PROFILE_LIST     110
#define IDD_DIFFICULTY_PROFILE          111
#define IDD_DIFFICULTY_PROFILE_LIST     112

// Toolbar and bitmap of the profile panes
#define IDR_PROFILE_PANE_TOOLBAR        128

// Controls
#define IDC_PROFILE_NAME                1004
#define IDC_PROFILE_GRID_PLACE          1005
#define IDC_PROFILE_LIST                1006
#define IDC_PROFILE_ADD                 1007
#define IDC_PROFILE_AMEND               1008
#define IDC_PROFILE_DELETE              1009
#define IDC_PROFILE_PREVIEW             1010
#define IDC_PROFILE_COPY                1011
#define IDC_PROFILE_GRID                1013

// Commands of the profile panes' toolbar
#define ID_PROFILE_SORT_CATEGORIZED     1039
#define ID_PROFILE_SORT_ALPHABETIC      1040

// Strings
#define IDS_ENTER_PROFILE_NAME          2
#define IDS_COLUMN_ID                   3
#define IDS_COLUMN_NAME                 4
#define IDS_SELECT_ITEM_SELECT          5
#define IDS_SELECT_ITEM_COPY            6
#define IDS_COPY_OF                     7
#define IDS_GRID_BORDER_COLOUR          8
#define IDS_SQUARE_BORDER_COLOUR        9
#define IDS_MATRIX_STATIC_CONTROL       10
#define IDS_ON_COLOUR                   11
#define IDS_OFF_COLOUR                  12
#define IDS_BACKGROUND_COLOUR           13
#define IDS_COLUMNS_RANGE               18
#define IDS_ROWS_RANGE                  19
#define IDS_MINUTES_RANGE               20
#define IDS_PROFILE_NAME                21
#define IDS_COLUMNS                     22
#define IDS_ROWS                        23
#define IDS_TARGET_TIME                 24
#define IDS_FORCE_COMPLETE              25
#define IDS_NUMBER_COLOUR               4002
#define IDS_SHADED_FILL_COLOUR          4003
#define IDS_SHADED_NUMBER_COLOUR        4004
#define IDS_UNSHADED_FILL_COLOUR        4005
#define IDS_UNSHADED_NUMBER_COLOUR      4006
#define IDS_ISLAND_FILL_COLOUR          4007
#define IDS_ISLAND_NUMBER_COLOUR        4008
#define IDS_UNSHADED_DUP_FILL_COLOUR    4013
#define IDS_UNSHADED_DUP_NUMBER_COLOUR  4014
#define IDS_ADJACENT_FILL_COLOUR        4015
#define IDS_ADJACENT_NUMBER_COLOUR      4016
#define IDS_SHOW_ISLAND_SQUARES         4017
#define IDS_SHOW_UNSHADED_DUPS          4018
#define IDS_SHOW_ADJACENT_SHADED        4019
#define IDS_ENABLE_UNSHADED_UPDATE      4020
#define IDS_ENABLE_AUTOMARK             4021
