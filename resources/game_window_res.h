// Ids of the game window's own resources: its pictures, the puzzle book and
// tutorial dialogs, the commands no menu offers, panes and timers.
#pragma once

// Pictures (drawn at build time, see window_pictures.cpp)
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
#define IDS_BOOK_NOT_MADE       4101    // %1 columns, %2 rows

// Commands of the game that no menu, toolbar or shortcut offers (the
// others are with the menu, in commandbars_game_res.h)
#define ID_PUZZLE_ENTER_OWN     2002
#define ID_PUZZLE_FINALIZE      2035

// Docking panes of the current puzzle's profiles
#define IDP_APPEARANCE_PANE     1000
#define IDP_DIFFICULTY_PANE     1001

// Timers
#define IDT_CLOCK_DISPLAY       1037    // on the Timer toolbar: redraws the clock
#define IDT_GAME_CLOCK          2026    // on the frame: one second of play
#define IDT_FIRST_LAYOUT        2025    // on the frame, once: lays the board out
