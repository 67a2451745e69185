// The edit control of the command bars: its run-time class, so that the
// controls factory makes it by name.
#include "XTPControlEdit.h"

IMPLEMENT_DYNCREATE(CXTPControlEdit, CXTPControl)
