// The small window that shows a keyboard tip beside a control while the
// keyboard tips are on. (Only what the paint themes read is declared here
// so far.)
#pragma once

#include "XTPCommandBarsDefines.h"

class CXTPCommandBarKeyboardTip : public CWnd
{
public:
    CXTPCommandBarKeyboardTip() : m_bEnabled(TRUE) {}

    CString GetCaption() const { return m_strCaption; }
    BOOL IsEnabled() const { return m_bEnabled; }

public:
    CString m_strCaption;
    BOOL m_bEnabled;
};
