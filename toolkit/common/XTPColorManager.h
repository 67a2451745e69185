// Colour manager: the toolkit's shared colour tables (system colours, derived
// theme colours 30-62, the XP scheme colours and ten gradients), scheme
// detection, colour arithmetic, and the themable colour value types.
#pragma once

#include "XTPCommon.h"

// Indices of the derived colours (30-62); 1-29 are the system colour indices.
enum XTPColorIndex
{
    XPCOLOR_BASE = 30,
    XPCOLOR_TOOLBAR_FACE = 30,
    XPCOLOR_HIGHLIGHT = 31,
    XPCOLOR_HIGHLIGHT_BORDER = 32,
    XPCOLOR_HIGHLIGHT_PUSHED = 33,
    XPCOLOR_HIGHLIGHT_CHECKED = 36,
    XPCOLOR_HIGHLIGHT_CHECKED_BORDER = 37,
    XPCOLOR_ICONSHADDOW = 34,
    XPCOLOR_GRAYTEXT = 35,
    XPCOLOR_TOOLBAR_GRIPPER = 38,
    XPCOLOR_SEPARATOR = 39,
    XPCOLOR_DISABLED = 40,
    XPCOLOR_MENUBAR_FACE = 41,
    XPCOLOR_MENUBAR_EXPANDED = 42,
    XPCOLOR_MENUBAR_BORDER = 43,
    XPCOLOR_MENUBAR_TEXT = 44,
    XPCOLOR_HIGHLIGHT_TEXT = 45,
    XPCOLOR_TOOLBAR_TEXT = 46,
    XPCOLOR_PUSHED_TEXT = 47,
    XPCOLOR_TAB_INACTIVE_BACK = 48,
    XPCOLOR_TAB_INACTIVE_TEXT = 49,
    XPCOLOR_HIGHLIGHT_PUSHED_BORDER = 50,
    XPCOLOR_3DFACE = 51,
    XPCOLOR_3DSHADOW = 52,
    XPCOLOR_EDITCTRLBORDER = 53,
    XPCOLOR_FRAME = 54,
    XPCOLOR_SPLITTER_FACE = 55,
    XPCOLOR_LABEL = 56,
    XPCOLOR_STATICFRAME = 57,
    XPCOLOR_HIGHLIGHT_DISABLED_BORDER = 58,
    XPCOLOR_SHADOW_FACTOR = 59,
    XPCOLOR_TOOLBAR_GRAYTEXT = 60,
    XPCOLOR_FLOATBAR_BORDER = 61,
    XPCOLOR_LAST = 62
};

// Visual-style colour schemes.
enum XTPCurrentSystemTheme
{
    xtpSystemThemeUnknown = 0,
    xtpSystemThemeBlue = 1,
    xtpSystemThemeOlive = 2,
    xtpSystemThemeSilver = 3,
    xtpSystemThemeAuto = 4,
    xtpSystemThemeDefault = 5
};

// One themable colour: a standard value computed by the theme and a custom
// value set by the application, which wins when set.
class CXTPPaintManagerColor
{
public:
    CXTPPaintManagerColor() : m_clrStandardValue(COLORREF_NULL), m_clrCustomValue(COLORREF_NULL) {}
    CXTPPaintManagerColor(COLORREF clr) : m_clrStandardValue(clr), m_clrCustomValue(COLORREF_NULL) {}
    virtual ~CXTPPaintManagerColor() {}

    CXTPPaintManagerColor(const CXTPPaintManagerColor& other)
        : m_clrStandardValue(other.m_clrStandardValue), m_clrCustomValue(other.m_clrCustomValue) {}
    CXTPPaintManagerColor& operator=(const CXTPPaintManagerColor& other)
    {
        m_clrStandardValue = other.m_clrStandardValue;
        m_clrCustomValue = other.m_clrCustomValue;
        return *this;
    }

    void SetStandardValue(COLORREF clr) { m_clrStandardValue = clr; }
    void SetCustomValue(COLORREF clr) { m_clrCustomValue = clr; }
    void SetDefaultValue() { m_clrCustomValue = COLORREF_NULL; }
    COLORREF GetStandardColor() const { return m_clrStandardValue; }
    COLORREF GetCustomColor() const { return m_clrCustomValue; }
    BOOL IsDefaultValue() const { return m_clrCustomValue == COLORREF_NULL; }
    BOOL IsCustomValue() const { return m_clrCustomValue != COLORREF_NULL; }
    COLORREF GetColor() const { return m_clrCustomValue != COLORREF_NULL ? m_clrCustomValue : m_clrStandardValue; }
    operator COLORREF() const { return GetColor(); }

    virtual void Serialize(CArchive& ar);

    COLORREF m_clrStandardValue;
    COLORREF m_clrCustomValue;
};

// A pair of themable colours with the position of the middle colour of a
// two-part gradient (0.5 = one plain gradient).
class CXTPPaintManagerColorGradient
{
public:
    CXTPPaintManagerColorGradient() : fGradientFactor(0.5f) {}
    CXTPPaintManagerColorGradient(COLORREF clr) : fGradientFactor(0.5f)
    {
        clrLight.SetStandardValue(clr);
        clrDark.SetStandardValue(clr);
    }
    virtual ~CXTPPaintManagerColorGradient() {}

    void SetStandardValue(COLORREF clrStart, COLORREF clrEnd, float fFactor = 0.5f);
    void SetStandardValueFromGradient(const CXTPPaintManagerColorGradient& other);
    void SetStandardValueSolid(COLORREF clr) { SetStandardValue(clr, clr, 0.5f); }
    void SetCustomValue(COLORREF clrStart, COLORREF clrEnd)
    {
        clrLight.SetCustomValue(clrStart);
        clrDark.SetCustomValue(clrEnd);
    }
    BOOL IsNull() const { return clrLight.GetColor() == COLORREF_NULL; }

    virtual void Serialize(CArchive& ar);

    CXTPPaintManagerColor clrLight;  // start
    CXTPPaintManagerColor clrDark;   // end
    float fGradientFactor;
};

class CXTPColorManager : public CCmdTarget
{
public:
    CXTPColorManager();
    virtual ~CXTPColorManager();

    COLORREF GetColor(int nIndex) const;
    COLORREF GetLunaColor(int nIndex) const;
    void SetColor(int nIndex, COLORREF clrValue);   // custom override; -1 removes it

    static COLORREF AFX_CDECL MixColors(COLORREF clrA, COLORREF clrB, int nWeight);
    static BOOL AFX_CDECL IsLowColorDepth(HDC hDC = NULL);
    // Forgets the screen's colour depth that IsLowColorDepth keeps; called
    // when the display changes (and by RefreshColors).
    static void AFX_CDECL OnDisplayChange();
    // The screen's bits per pixel as IsLowColorDepth knows them (0 if unknown).
    static int AFX_CDECL GetScreenBitsPerPixel();

    int GetWinTheme() const { return m_nDetectedTheme; }
    int GetCurrentSystemTheme() const;
    void SetLunaTheme(int nTheme) { m_nChosenTheme = nTheme; }
    int GetLunaTheme() const { return m_nChosenTheme; }
    BOOL IsLunaColorsDisabled() const { return m_bDisableLunaColors; }
    void DisableLunaColors(BOOL bDisable = TRUE) { m_bDisableLunaColors = bDisable; }

    void RefreshColors();
    virtual int DetectSystemTheme();

    // The scheme that a visual-style file and colour name stand for (0-3).
    static int AFX_CDECL GetSchemeFromThemeName(LPCWSTR pszFileName, LPCWSTR pszColorName);

    float ColorDistance(COLORREF clrA, COLORREF clrB) const;
    BOOL IsColorDifferent(COLORREF clrA, COLORREF clrB, BOOL bAdaptive, float fThreshold) const;
    COLORREF SeparateColor(COLORREF clrA, COLORREF clrB, float fThreshold) const;
    COLORREF LimitColorDistance(COLORREF clrA, COLORREF clrB, float fThreshold) const;

    CXTPPaintManagerColorGradient& GetGradientColor(int nIndex) { return m_arrGradients[nIndex]; }
    COLORREF GetStandardColor(int nIndex) const { return m_arrStandardColor[nIndex]; }

    CXTPPaintManagerColorGradient m_arrGradients[10];

protected:
    // TRUE when the screen has 8 bits per pixel or fewer.
    virtual BOOL IsLowColorScreen() const { return IsLowColorDepth(NULL); }

private:
    void RefreshLunaColors();
    void RefreshGradientColors(BOOL bLowColor);
    void SetStandard(int nIndex, COLORREF clr) { m_arrStandardColor[nIndex] = clr; }
    float AdaptedThreshold(COLORREF clr, float fThreshold) const;

    BOOL m_bDisableLunaColors;
    COLORREF m_arrStandardColor[63];
    COLORREF m_arrCustomColor[63];
    COLORREF m_arrLunaColor[63];
    int m_nChosenTheme;
    int m_nDetectedTheme;
};

// The shared colour manager, created on the first call and destroyed at exit.
CXTPColorManager* AFX_CDECL GetColorManager();
// Rebuilds the shared colour manager's tables after system colour or theme changes.
void AFX_CDECL RefreshColorManager();
// Shorthand for GetColorManager()->GetColor(nIndex).
inline COLORREF GetXTPSysColor(int nIndex) { return GetColorManager()->GetColor(nIndex); }
