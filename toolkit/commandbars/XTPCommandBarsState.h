// Where a toolbar stands, as the bar state keeps it between runs.
#pragma once

#include "XTPCommon.h"

class CXTPToolBar;

struct XTP_BARINFO
{
    XTP_BARINFO();

    // Writes the record to the profile section (defaults left out where
    // the stored form leaves them out), FALSE when a value could not be
    // written; or reads it with scaling.
    BOOL SaveState(LPCTSTR lpszSection) const;
    BOOL LoadState(LPCTSTR lpszSection, BOOL bRescale, CSize szSaved, CSize szCurrent);

    UINT m_nBarID;
    BOOL m_bVisible;
    BOOL m_bFloating;
    CPoint m_pointPos;          // -1, -1 when unknown
    int m_nMRUWidth;
    int m_uMRUDockPosition;
    CRect m_rectMRUDockPos;
    CPoint m_ptMRUFloatPos;
    CXTPToolBar* m_pBar;
    BOOL m_bDialogBar;
    CSize m_szDialogBarDockingClient;
    CSize m_szDialogBarFloatingClient;
};

// Keeps a point inside the work area of the monitor that holds it, leaving
// an icon's width and height; scaled first from the saved screen size.
CPoint AFX_CDECL XTPScaleBarPoint(CPoint pt, BOOL bRescale, CSize szSaved, CSize szCurrent);
// Moves a rectangle back into the work area of the monitor that holds it.
CRect AFX_CDECL XTPScaleBarRect(CRect rc, BOOL bRescale, CSize szSaved, CSize szCurrent);
