// The Office 2003 command-bar theme: dock bars shaded from left to right,
// tool bars with their own vertical gradient and rounded corners, orange
// gradients for hot, pressed and checked controls, a shaded icon column on
// popup bars and dotted grippers. For the blue, olive and silver colour
// schemes it uses fixed colour sets; otherwise every colour comes from the
// system colours.
#pragma once

#include "XTPOfficeTheme.h"

#include <afxcmn.h>

namespace XTPPaintThemes
{
class CXTPOffice2003Theme : public CXTPOfficeTheme
{
public:
    CXTPOffice2003Theme();
    virtual ~CXTPOffice2003Theme();

    virtual void FillCommandBar(CDC* pDC, CXTPCommandBar* pBar);
    virtual void DrawRectangle(CDC* pDC, CRect rc, BOOL bSelected, BOOL bPressed, BOOL bEnabled, BOOL bChecked,
                               BOOL bPopuped, int barType, int barPosition);
    virtual CSize DrawCommandBarGripper(CDC* pDC, CXTPCommandBar* pBar, BOOL bDraw = TRUE);
    virtual CSize DrawCommandBarSeparator(CDC* pDC, CXTPCommandBar* pBar, CXTPControl* pControl, BOOL bDraw = TRUE);
    virtual void DrawStatusBarPaneBorder(CDC* pDC, CRect rc, BOOL bGripperPane);
    virtual void DrawStatusBarGripper(CDC* pDC, CRect rcClient);
    virtual void FillDockBar(CDC* pDC, CXTPDockBar* pBar);
    virtual void RefreshMetrics();
    virtual CSize DrawExpandOrHideButton(CDC* pDC, int nKind, CXTPControl* pButton, CXTPCommandBar* pBar,
                                         BOOL bDraw, LPVOID lpParam);
    virtual CRect GetCommandBarBorders(CXTPCommandBar* pBar);
    virtual CSize DrawTearOffGripper(CDC* pDC, CRect rcGripper, BOOL bHot, BOOL bPressed, BOOL bDraw);
    virtual CSize DrawDialogBarGripper(CDC* pDC, CXTPCommandBar* pBar, BOOL bDraw);
    virtual void FillPopupBarGripper(CDC* pDC, int x, int y, int cx, int cy, BOOL bExpanded);
    virtual int BaseTheme();

    // Added by this theme: whether a floating bar gets the themed frame
    // (not for a flat bar; else when the bar may dock somewhere).
    virtual BOOL IsThemedFloatingFrame(CXTPCommandBar* pBar);

    // Removes the four corner pixels of a rectangle from the clip region.
    static void AFX_CDECL ExcludeCorners(CDC* pDC, int left, int top, int right, int bottom);
    // The expand glyph of a tool bar's expand button: a bar and a triangle
    // and, when the bar hides controls, two small chevrons.
    static void AFX_CDECL DrawExpandGlyph(CDC* pDC, BOOL bVertical, CRect rc, BOOL bHiddenExists, COLORREF clr);
    // Rebuilds the 16 x 16 shaded glyph from the glyph gradient.
    void CreateShadedGlyph();
    // A gradient fill from a gradient's light to its dark colour, framed in
    // one colour index.
    void FillGradientRectangle(CDC* pDC, CRect rc, const CXTPPaintManagerColorGradient& grc, BOOL bHorz,
                               int nFrameColor);

    CImageList* GetShadedGlyph() { return &m_ilGradientCircle; }

public:
    CXTPPaintManagerColorGradient m_clrDockBar;             // dock bars and flat bars
    CXTPPaintManagerColorGradient m_clrCommandBar;          // tool bars, popup icon column
    CXTPPaintManagerColorGradient m_clrToolbarExpand;       // a tool bar's expand button
    CXTPPaintManagerColorGradient m_clrMenuGlyph;           // tints the shaded glyph
    CXTPPaintManagerColorGradient m_clrMenuExpandedGripper; // icon column beside rarely used items
    CXTPPaintManagerColorGradient m_clrPopupControl;        // a control whose popup is open
    CXTPPaintManagerColor m_clrToolbarShadow;               // edge line under a docked tool bar
    CXTPPaintManagerColor m_clrStatusPane;                  // frame of a status-bar pane
    CXTPPaintManagerColor m_clrTearOffGripper;              // background of a tear-off strip
    BOOL m_bLunaTheme;                                      // a blue, olive or silver set is in use
    BOOL m_bPlainSeparators;                                // separators within a row: one line
    CImageList m_ilGradientCircle;                          // the shaded glyph
    CXTPPaintManagerColorGradient m_grcLunaChecked;         // checked control
    CXTPPaintManagerColorGradient m_grcLunaPushed;          // pressed, or hot and checked
    CXTPPaintManagerColorGradient m_grcLunaSelected;        // hot control

protected:
    // The refresh without the shaded glyph: the paint manager's refresh, then
    // this theme's colours, gradients and scheme sets.
    void RefreshColors();
    // Paints the dock-bar gradient across a rectangle at least half the
    // screen wide that starts at xStart, clipped to rcClip.
    void FillDockGradient(CDC* pDC, int xStart, int nWidth, CRect rcClip);
};
} // namespace XTPPaintThemes
