// Button themes: the classic, Office XP and Office 2003 looks of the themed
// push button, and the factory that makes them by theme number.
#pragma once

#include "XTThemeManager.h"
#include "XTPColorManager.h"
#include "XTPWinThemeWrapper.h"

class CXTButton;

// The classic look.
class CXTButtonTheme : public CXTThemeManagerStyle
{
public:
    CXTButtonTheme();
    virtual ~CXTButtonTheme();

    virtual void RefreshMetrics();

    // TRUE when the button tracks hovering: with visual styles, or a flat or
    // semi-flat classic button. The Office themes always track.
    virtual BOOL UseHotTracking(CXTButton* pButton);
    // With style flag 0x1000 only: TRUE when visual styles are active, the
    // common controls are version 6 or later and the "BUTTON" data opened.
    virtual BOOL UseVisualStyles(CXTButton* pButton);
    virtual BOOL GetShowImage();
    virtual void SetShowImage(BOOL bShowImage);
    // The theme's own font when it has one, else the button's font.
    virtual CFont* GetFont(CXTButton* pButton);
    // Keeps a font that has a handle; others are ignored.
    virtual void SetFont(CFont* pFont);
    virtual void SetColors(COLORREF clrFace, COLORREF clrHilite, COLORREF clrShadow, COLORREF clrText);
    virtual void SetBackColor(COLORREF clrFace);
    virtual COLORREF GetBackColor();
    virtual void SetHiliteColor(COLORREF clrHilite);
    virtual void SetShadowColor(COLORREF clrShadow);
    virtual void SetTextColor(COLORREF clrText);
    virtual void CalcCenterPoint(CPoint& ptCenter, int cx, int cy, CXTButton* pButton);
    virtual void CalcTextPoint(CPoint& ptText, UINT nState, CRect rcItem, CSize sizeText, CXTButton* pButton);
    virtual COLORREF GetTextColor(UINT nState, CXTButton* pButton);
    virtual void DrawButtonText(CDC* pDC, UINT nState, CRect& rcItem, CXTButton* pButton);
    virtual void CalcImagePoint(CPoint& ptImage, CDC* pDC, UINT nState, CRect& rcItem, BOOL bHasIcon,
                                CXTButton* pButton);
    virtual void DrawButtonIcon(CDC* pDC, UINT nState, CRect& rcItem, CXTButton* pButton);
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDIS, CXTButton* pButton);
    virtual BOOL DrawVisualStylesBackground(LPDRAWITEMSTRUCT lpDIS, CXTButton* pButton);
    virtual void DrawButtonBackground(LPDRAWITEMSTRUCT lpDIS, CXTButton* pButton);
    virtual void DrawFocusRect(CDC* pDC, UINT nState, CRect& rcItem, CXTButton* pButton);

    // The window text of the button without its mnemonic markers.
    static CString AFX_CDECL GetStrippedText(CXTButton* pButton);
    // The pushed state of a draw: the item is selected.
    static BOOL AFX_CDECL IsPushed(UINT nState) { return (nState & ODS_SELECTED) != 0; }

protected:
    // Draws the window text; bMeasureStripped measures it without its
    // mnemonic markers (the toolkit's way) or as it is.
    void DrawButtonTextImpl(CDC* pDC, UINT nState, CRect& rcItem, CXTButton* pButton, BOOL bMeasureStripped);
    // When DrawItemImpl draws the focus rectangle.
    enum FocusRule
    {
        focusOnFocusChange,   // with the focus-flag style, on focus-change draws only
        focusWhileFocused     // whenever the button has the focus, on every draw, whatever its style
    };
    // The background and the focus rectangle of a draw, and the text and
    // image between them.
    void DrawItemImpl(LPDRAWITEMSTRUCT lpDIS, CXTButton* pButton, FocusRule nFocusRule);
    // The part state of a visual-styles push button: 4 disabled, 3 pushed
    // (or checked, when bCheckedIsPushed), 2 hot, 5 focused, else 1.
    static int AFX_CDECL GetVisualStyleState(UINT nState, CXTButton* pButton, BOOL bCheckedIsPushed);

public:
    BOOL m_bShowImage;           // images are drawn
    BOOL m_bOffsetHiliteText;    // text moves one pixel right and down while pushed
    CFont* m_pFont;              // null: the button's own font
    CXTPPaintManagerColor m_crBack;          // face (colour 15)
    CXTPPaintManagerColor m_crText;          // 18
    CXTPPaintManagerColor m_crTextDisabled;  // 17
    CXTPPaintManagerColor m_crBorderHilite;  // hilite, 15
    CXTPPaintManagerColor m_crBorderShadow;  // shadow, 16
    CXTPPaintManagerColor m_crBorder3DHilite;  // highlight, 20
    CXTPPaintManagerColor m_crBorder3DShadow;  // dark shadow, 21
    CXTPWinThemeWrapper m_themeButton;       // "BUTTON"
};

// The Office XP look.
class CXTButtonThemeOfficeXP : public CXTButtonTheme
{
public:
    explicit CXTButtonThemeOfficeXP(BOOL bWordTheme = FALSE);

    virtual void RefreshMetrics();
    virtual BOOL UseHotTracking(CXTButton* pButton);
    virtual COLORREF GetTextColor(UINT nState, CXTButton* pButton);
    virtual void DrawButtonIcon(CDC* pDC, UINT nState, CRect& rcItem, CXTButton* pButton);
    virtual void DrawButtonBackground(LPDRAWITEMSTRUCT lpDIS, CXTButton* pButton);
    virtual void DrawFocusRect(CDC* pDC, UINT nState, CRect& rcItem, CXTButton* pButton);

    // Border mode: a frame round the normal button and the toolbar face.
    virtual void SetBorderMode(BOOL bWordTheme);
    virtual void SetPushedBackColor(COLORREF clr);
    virtual void SetHotBackColor(COLORREF clr);
    virtual void SetPushedTextColor(COLORREF clr);
    virtual void SetHotTextColor(COLORREF clr);

protected:
    // The Office 2003 look's flags: border mode as given, no pushed offset,
    // no faded or shadowed images.
    void InitOffice2003(BOOL bWordTheme);

public:
    BOOL m_bWordTheme;           // border mode
    BOOL m_bFadeIcon;            // the normal image is drawn faded
    BOOL m_bShadowIcon;          // the hot image is drawn lifted over its shadow
    CXTPPaintManagerColor m_crBackPushed;    // 33
    CXTPPaintManagerColor m_crBackHilite;    // 31
    CXTPPaintManagerColor m_crTextPushed;    // 47
    CXTPPaintManagerColor m_crTextHilite;    // 45
};

// The Office 2003 look.
class CXTButtonThemeOffice2003 : public CXTButtonThemeOfficeXP
{
public:
    explicit CXTButtonThemeOffice2003(BOOL bWordTheme = FALSE);

    virtual void RefreshMetrics();
    virtual void DrawButtonIcon(CDC* pDC, UINT nState, CRect& rcItem, CXTButton* pButton);
    virtual void DrawButtonBackground(LPDRAWITEMSTRUCT lpDIS, CXTButton* pButton);
};

// A new button theme of a theme number from three theme classes: 1 the
// Office XP one, 2 the Office 2003 one, anything else the default one. The
// theme keeps the number.
template <class TDefault, class TOfficeXP, class TOffice2003>
CXTButtonTheme* CreateButtonThemeOf(int nTheme)
{
    CXTButtonTheme* pTheme;
    switch (nTheme)
    {
    case xtThemeOfficeXP:
        pTheme = new TOfficeXP(FALSE);
        break;
    case xtThemeOffice2003:
        pTheme = new TOffice2003(FALSE);
        break;
    default:
        pTheme = new TDefault;
        break;
    }
    pTheme->m_nTheme = nTheme;
    return pTheme;
}

// Makes the button theme of a theme number: 1 Office XP, 2 Office 2003,
// anything else classic.
class CXTButtonThemeFactory : public CXTThemeManagerStyleFactory
{
    DECLARE_DYNCREATE(CXTButtonThemeFactory)
public:
    virtual CXTThemeManagerStyle* CreateTheme(int nTheme);
};
