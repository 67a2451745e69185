// The combo box control of the command bars: its run-time class, so that the
// controls factory makes it by name.
#include "XTPControlComboBox.h"

IMPLEMENT_DYNCREATE(CXTPControlComboBox, CXTPControlPopup)
