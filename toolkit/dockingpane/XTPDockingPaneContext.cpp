// The drag-and-dock context.
#include "XTPDockingPaneContext.h"

void CXTPDockingPaneContext::Drag(CXTPDockingPaneBase* pPane, CPoint pt)
{
    // The interactive move (outline or translucent preview, stickers, and
    // docking, tabbing or floating on release) is carried out by the
    // context's drag loop; this base context starts none.
    TRACE("No drag loop: the press on a caption or tab only selects.\n");
}
