// Resource ids of the test programs' multiple-document frame: the frame's
// own menu, two document types (notes and sketches) and their commands.
#pragma once

#define IDR_MDIFRAME_MAIN       7300
#define IDR_MDIFRAME_NOTE       7301
#define IDR_MDIFRAME_SKETCH     7302

#define ID_MDIFRAME_NEWNOTE     7310
#define ID_MDIFRAME_NEWSKETCH   7311
#define ID_MDIFRAME_UPPERCASE   7320
#define ID_MDIFRAME_CLEAR       7330
