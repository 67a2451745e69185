// The dot-matrix display of the game clock: a static control that draws a
// text of digits, colons and dashes from the 12-glyph strip (bitmap 143),
// recoloured into the on, off and background colours of the puzzle's
// appearance profile.
#pragma once

#include <afxwin.h>

// A 32-bit copy of a bitmap whose colours can be replaced pixel by pixel.
class CColourChangeBitmap : public CBitmap
{
public:
    CColourChangeBitmap();

    // Replaces whatever this object holds by a 32-bit section of the
    // source's size holding a copy of it. The source stays with its owner.
    // FALSE when the source's size cannot be read, the section cannot be
    // made or the copy fails (the object then holds no picture, or an
    // uncopied one).
    BOOL CreateFromBitmap(HBITMAP hSource);
    // Sets every pixel equal to dwFind to dwReplace; both are pixels of the
    // section (0x00RRGGBB, see ToSectionPixel). FALSE when there are no pixels.
    BOOL ReplaceColour(DWORD dwFind, DWORD dwReplace);

    // A colour in the section's pixel order (red in bits 16-23).
    static DWORD AFXAPI ToSectionPixel(COLORREF cr);

    DWORD* GetBits() const { return m_pBits; }

protected:
    DWORD* m_pBits;     // pixels of the section this object owns; NULL until made
};

class CVantMatrixCtrl : public CStatic
{
public:
    CVantMatrixCtrl();
    virtual ~CVantMatrixCtrl();

    // Loads the glyph strip, recolours it and sizes the window for eight
    // glyphs (hours, minutes and seconds with two colons) plus its edge:
    // 182 x 35 with the strip of 267 x 31. FALSE when the strip is missing.
    BOOL LoadDigitBitmap();
    // Rebuilds the drawn glyphs from the strip in the current colours and
    // repaints. A colour channel of 0 is drawn as 1, so the on and off
    // colours never collide with the strip's pure red, pure blue and black.
    void RecolourDigits();

    void SetText(LPCTSTR lpszText);
    const CString& GetText() const { return m_strText; }

    // Draws the text into the rectangle of a DC: each character's glyph in
    // turn from the left edge, the rest of the rectangle in the background
    // colour. Characters without a glyph leave a glyph-wide gap.
    void DrawMatrix(CDC* pDC, const CRect& rect) const;

public:
    COLORREF m_crBackground;    // default black
    COLORREF m_crOn;            // lit dots; default (0, 255, 0)
    COLORREF m_crOff;           // unlit dots; default (0, 100, 0)

protected:
    CBitmap m_bmpSource;                // the strip as loaded
    CColourChangeBitmap m_bmpWorking;   // the recoloured strip that is drawn
    CString m_strText;

    // The text that is drawn (the clock formats its time here).
    virtual CString GetDisplayText() const;

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnEnable(BOOL bEnable);
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

// The clock display: hours, minutes and seconds as "hh:mm:ss".
class CVantTimerCtrl : public CVantMatrixCtrl
{
public:
    CVantTimerCtrl();

    // Stores the three fields and repaints when any of them changed.
    void SetTime(int nHours, int nMinutes, int nSeconds);

public:
    int m_nHours;
    int m_nMinutes;
    int m_nSeconds;

protected:
    virtual CString GetDisplayText() const;
};
