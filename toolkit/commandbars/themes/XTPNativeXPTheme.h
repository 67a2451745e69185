// The native visual-styles command-bar theme: rebars, toolbar buttons,
// separators, grippers, combo buttons and spin buttons drawn by the
// operating system's visual styles through the visual-styles wrapper. Every
// operation falls back to the classic theme's drawing when the styles it
// needs ("REBAR" and "TOOLBAR") are not available.
#pragma once

#include "XTPDefaultTheme.h"

namespace XTPPaintThemes
{
class CXTPNativeXPTheme : public CXTPDefaultTheme
{
public:
    CXTPNativeXPTheme();
    virtual ~CXTPNativeXPTheme();

    virtual void DrawSplitButtonFrame(CDC* pDC, CXTPControl* pButton, CRect rcButton);
    virtual void FillCommandBar(CDC* pDC, CXTPCommandBar* pBar);
    virtual void DrawControlEntry(CDC* pDC, CXTPControl* pButton);
    virtual COLORREF GetControlTextColor(CXTPControl* pButton);
    virtual void DrawRectangle(CDC* pDC, CRect rc, BOOL bSelected, BOOL bPressed, BOOL bEnabled, BOOL bChecked,
                               BOOL bPopuped, int barType, int barPosition);
    virtual CSize DrawCommandBarGripper(CDC* pDC, CXTPCommandBar* pBar, BOOL bDraw = TRUE);
    virtual CSize DrawCommandBarSeparator(CDC* pDC, CXTPCommandBar* pBar, CXTPControl* pControl, BOOL bDraw = TRUE);
    virtual void AdjustExcludeRect(CRect& rc, CXTPControl* pControl, BOOL bVertical);
    virtual void FillDockBar(CDC* pDC, CXTPDockBar* pBar);
    virtual void RefreshMetrics();
    virtual CSize DrawExpandOrHideButton(CDC* pDC, int nKind, CXTPControl* pButton, CXTPCommandBar* pBar,
                                         BOOL bDraw, LPVOID lpParam);
    virtual CSize DrawDialogBarGripper(CDC* pDC, CXTPCommandBar* pBar, BOOL bDraw);
    virtual int BaseTheme();
    virtual void DrawControlEditFrame(CDC* pDC, CRect rc, BOOL bEnabled, BOOL bSelected);
    virtual void DrawControlComboBoxButton(CDC* pDC, CRect rcBtn, BOOL bEnabled, BOOL bSelected, BOOL bDropped);
    virtual void DrawEditSpinButtons(CDC* pDC, CXTPControlEdit* pControlEdit);

    // Whether both the "REBAR" and the "TOOLBAR" styles are open in a themed
    // application.
    BOOL IsThemed();
    // The rebar background of a window, drawn relative to another window
    // (hWndRelative, or the window itself when NULL) so that neighbouring
    // bars show one continuous background; colour 15 without visual styles.
    void FillRebarBackground(CDC* pDC, HWND hWnd, HWND hWndRelative);

    BOOL IsFlatMenus() const { return m_bFlatMenus; }

public:
    CXTPWinThemeWrapper m_themeRebar;
    CXTPWinThemeWrapper m_themeToolbar;
    CXTPWinThemeWrapper m_themeComboBox;
    CXTPWinThemeWrapper m_themeWindow;
    CXTPWinThemeWrapper m_themeSpin;
    COLORREF m_clrEdgeShadowColor;      // edge of docked bars that are not flat: bottom and right
    COLORREF m_clrEdgeHighLightColor;   // top and left
    BOOL m_bFlatMenus;

private:
    // Whether a control is a popup on a flat menu bar, not on a popup bar.
    BOOL IsFlatMenuBarItem(CXTPControl* pButton);
};
} // namespace XTPPaintThemes
