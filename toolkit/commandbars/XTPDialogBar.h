// A docking bar that hosts a child window under a caption. (Only what the
// paint themes read is declared here so far.)
#pragma once

#include "XTPToolBar.h"

class CXTPDialogBar : public CXTPToolBar
{
public:
    CXTPDialogBar() : m_bActive(FALSE) {}

    virtual BOOL IsDialogBar() const { return TRUE; }
    // Whether the hosted window has the focus (the caption is drawn active).
    BOOL IsActive() const { return m_bActive; }

public:
    BOOL m_bActive;
};
