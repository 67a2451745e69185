// A push button on a toolbar or an item of a menu (control type 1). Most
// other control kinds derive from it.
#pragma once

#include "XTPControl.h"

class CXTPControlButton : public CXTPControl
{
    DECLARE_DYNCREATE(CXTPControlButton)
public:
    CXTPControlButton();
    virtual ~CXTPControlButton();

    virtual void Copy(CXTPControl* pControl, BOOL bRecursive = FALSE);
    virtual CXTPControl* Clone(BOOL bRecursive = FALSE);
    virtual void DoPropExchange(CXTPPropExchange* pPX);
    // From the keyboard: executes. With the mouse on a bar that is not a
    // popup: the press-and-track loop. On popups the release executes.
    virtual void OnClick(BOOL bKeyboard = FALSE, CPoint pt = CPoint(0, 0));
    virtual void OnLButtonUp(CPoint point);
};
