// The drag-and-dock context: the one object, owned by the manager, that
// carries out interactive moves of panes and containers. Captions and tabs
// start their drags through it.
#pragma once

#include "XTPDockingPaneDefines.h"

class CXTPDockingPaneContext
{
public:
    explicit CXTPDockingPaneContext(CXTPDockingPaneManager* pManager) : m_pManager(pManager) {}
    virtual ~CXTPDockingPaneContext() {}

    // Starts a drag of a pane, a tabbed container or a floating window's
    // splitter container from a screen point ((-1, -1): from the keyboard).
    virtual void Drag(CXTPDockingPaneBase* pPane, CPoint pt);

    CXTPDockingPaneManager* GetManager() const { return m_pManager; }

protected:
    CXTPDockingPaneManager* m_pManager;
};
