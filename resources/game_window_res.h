// Ids of the game window's own resources: its pictures, the puzzle book and
// tutorial dialogs, and the commands of its menus and bars.
#pragma once

// Pictures (drawn at build time, see game_pictures.cpp)
#define IDB_PRINT_BANNER        123     // across the top of a printed puzzle
#define IDB_ABOUT_BACKGROUND    124
#define IDB_SPLASH              126
#define IDB_CLOCK_DIGITS        143     // the clock's 12 dot-matrix glyphs
#define IDB_TUTORIAL_FIRST      2058    // 2058 + 2 x page + picture, to 2072

// Dialogs
#define IDD_PRINT_BOOK          133
#define IDD_TUTORIAL            144

// Controls
#define IDC_BOOK_COUNT          1002
#define IDC_BOOK_APPEARANCE     1005
#define IDC_BOOK_DIFFICULTY     1006
#define IDC_BOOK_SOLUTIONS      1007
#define IDC_BOOK_PER_PAGE       1010
#define IDC_TUTORIAL_NEXT       2055
#define IDC_TUTORIAL_PREV       2056
#define IDC_TUTORIAL_PICTURE    2057

// Strings
#define IDS_PICTURE_NOT_SAVED   4100    // %1 the file, %2 the reason

// Commands of the game
#define ID_PUZZLE_NEW           2001
#define ID_PUZZLE_ENTER_OWN     2002
#define ID_PUZZLE_SAVE          2003
#define ID_PUZZLE_SAVE_AS       2004
#define ID_PUZZLE_SAVE_BITMAP   2005
#define ID_PUZZLE_SAVE_JPEG     2006
#define ID_GAME_EXIT            2007
#define ID_GAME_UNDO            2008
#define ID_PUZZLE_COPY_PICTURE  2009
#define ID_BRANCH_BEGIN         2010
#define ID_BRANCH_ACCEPT        2011
#define ID_BRANCH_REVERT        2012
#define ID_APPEARANCE_LIST      2013
#define ID_APPEARANCE_PANE      2014
#define ID_DIFFICULTY_PANE      2015
#define ID_DIFFICULTY_LIST      2016
#define ID_WEB_GAME_SITE        2019
#define ID_WEB_MAKER_SITE       2020
#define ID_WEB_FORUM            2021
#define ID_GAME_ABOUT           2023
#define ID_REVERT_TO_START      2027
#define ID_CLOCK_DISPLAY        2028
#define ID_TEXT_BELOW_ICONS     2029
#define ID_SHOW_SOLUTION        2030
#define ID_PUZZLE_FINALIZE      2035
#define ID_CLOCK_PAUSE          2036
#define ID_CLOCK_PLAY           2037
#define ID_CLOCK_ELAPSED        2038
#define ID_CLOCK_REMAINING      2039
#define ID_CLOCK_TARGET         2040
#define ID_UPDATE_UNSHADED      2041
#define ID_AUTOMARK_UNSHADED    2042
#define ID_WEB_GAME2_SITE       2043
#define ID_WEB_GAME3_SITE       2044
#define ID_SHOW_TUTORIAL        2054
#define ID_WEB_GAME4_SITE       2074
#define ID_UPDATE_MANAGER       2075
#define ID_PRINT_PUZZLE_BOOK    32771
#define ID_VIEW_CUSTOMIZE       35001

// Docking panes of the current puzzle's profiles
#define IDP_APPEARANCE_PANE     1000
#define IDP_DIFFICULTY_PANE     1001

// Timers
#define IDT_CLOCK_DISPLAY       1037    // on the Timer toolbar: redraws the clock
#define IDT_GAME_CLOCK          2026    // on the frame: one second of play
#define IDT_FIRST_LAYOUT        2025    // on the frame, once: lays the board out
