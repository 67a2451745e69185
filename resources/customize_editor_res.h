// Ids of the resources of the Keyboard customize page and the button image
// editor (customize_editor.rc).
#pragma once

// Bitmaps: the editor's tool strips (pictures in customize_editor_art.txt).
#define XTP_IDB_IMAGEEDITOR_TOOLS       9100    // 16 colours, grey 192 masked out
#define XTP_IDB_IMAGEEDITOR_TOOLS32     9101    // 32 bits with alpha

// Cursors of the editor's canvas (pictures in customize_editor_cursors.txt).
#define XTP_IDC_IMAGEEDITOR_SHAPE       9110    // line, rectangle, ellipse
#define XTP_IDC_IMAGEEDITOR_PICKCOLOR   9111
#define XTP_IDC_IMAGEEDITOR_FILL        9112
#define XTP_IDC_IMAGEEDITOR_PENCIL      9113

// Dialogs.
#define XTP_IDD_IMAGEEDITOR_DIALOG      9115
#define XTP_IDD_PAGE_KEYBOARD           9116

// Controls of the image editor.
#define XTP_IDC_IMAGEEDITOR_PICTURE     100
#define XTP_IDC_IMAGEEDITOR_PREVIEW     101
#define XTP_IDC_IMAGEEDITOR_COLORS      102
#define XTP_IDC_IMAGEEDITOR_TOOLS       103
#define XTP_IDC_IMAGEEDITOR_MOVE        104
#define XTP_IDC_IMAGEEDITOR_TRANSPARENT 105
#define XTP_IDC_IMAGEEDITOR_CUSTOMCOLOR 106
#define XTP_ID_IMAGEEDITOR_MOVELEFT     107
#define XTP_ID_IMAGEEDITOR_MOVEDOWN     108
#define XTP_ID_IMAGEEDITOR_MOVEUP       109
#define XTP_ID_IMAGEEDITOR_MOVERIGHT    110

// Controls of the Keyboard page.
#define XTP_IDC_KEYBOARD_CATEGORY       100
#define XTP_IDC_KEYBOARD_COMMANDS       102
#define XTP_IDC_KEYBOARD_KEYS           104
#define XTP_IDC_KEYBOARD_NEWKEY         106
#define XTP_IDC_KEYBOARD_ASSIGN         107
#define XTP_IDC_KEYBOARD_REMOVE         108
#define XTP_IDC_KEYBOARD_RESETALL       109
#define XTP_IDC_KEYBOARD_DESCLABEL      110
#define XTP_IDC_KEYBOARD_DESCRIPTION    111

// Commands of the editor's tool bars (their strings hold the tooltips).
#define XTP_ID_IMAGEEDITOR_PENCIL       9135
#define XTP_ID_IMAGEEDITOR_FILL         9136
#define XTP_ID_IMAGEEDITOR_GETCOLOR     9137
#define XTP_ID_IMAGEEDITOR_LINE         9138
#define XTP_ID_IMAGEEDITOR_RECTANGLE    9139
#define XTP_ID_IMAGEEDITOR_CIRCLE       9140
#define XTP_ID_IMAGEEDITOR_COPY         9141
#define XTP_ID_IMAGEEDITOR_PASTE        9142
#define XTP_ID_IMAGEEDITOR_CLEAR        9143
#define XTP_ID_IMAGEEDITOR_UNDO         9144
#define XTP_ID_IMAGEEDITOR_REDO         9145
#define XTP_ID_IMAGEEDITOR_OPEN         9146

// Strings.
#define XTP_IDS_CONFIRM_KEYBOARD        9175
#define XTP_IDS_CONFIRM_REASSIGN        9176
#define XTP_IDS_IMAGEEDITOR_FILTER      9178
#define XTP_IDS_IMAGEEDITOR_BADPICTURE  9185
#define XTP_IDS_IMAGEEDITOR_NORENDERER  9240
#define XTP_IDS_IMAGEEDITOR_RENDERERENDED 9241
#define XTP_IDS_IMAGEEDITOR_RENDERERSILENT 9242
#define XTP_IDS_IMAGEEDITOR_CANNOTOPEN  9243

// Colour names; the ids of the editor's palette swatches.
#define XTP_IDS_CLR_BLACK               9186
#define XTP_IDS_CLR_DARK_BLUE           9191
#define XTP_IDS_CLR_DARK_RED            9194
#define XTP_IDS_CLR_DARK_YELLOW         9196
#define XTP_IDS_CLR_GREEN               9197
#define XTP_IDS_CLR_TEAL                9198
#define XTP_IDS_CLR_BLUE                9199
#define XTP_IDS_CLR_GRAY50              9201
#define XTP_IDS_CLR_RED                 9202
#define XTP_IDS_CLR_VIOLET              9208
#define XTP_IDS_CLR_PINK                9210
#define XTP_IDS_CLR_YELLOW              9212
#define XTP_IDS_CLR_BRIGHT_GREEN        9213
#define XTP_IDS_CLR_TURQUOISE           9214
#define XTP_IDS_CLR_GRAY25              9217
#define XTP_IDS_CLR_WHITE               9225
