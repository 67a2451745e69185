// The progress bar of the progress window: a progress control that paints
// itself as a shaded three-dimensional bar in shades of the system highlight
// colour, or, in its moving-stripes mode, as diagonal ridges that travel
// along the bar one pixel every 25 ms.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>

// The timer of the moving stripes, and its period.
#define MAC_PROGRESS_TIMER 100
#define MAC_PROGRESS_TIMER_MS 25
// The stripes repeat every this many pixels.
#define MAC_PROGRESS_STRIPE_PERIOD 20

class CMacProgressCtrl : public CProgressCtrl
{
    DECLARE_DYNAMIC(CMacProgressCtrl)
public:
    CMacProgressCtrl();
    virtual ~CMacProgressCtrl();

    // The shades of the base colour and the system's shadow colours.
    void ComputeShades();
    void CreatePens();
    void DeletePens();
    // Sets the base colour and recomputes the shades and pens.
    void SetBaseColor(COLORREF clrBase);

    // The whole control into a DC at (0, 0) over a client rectangle.
    void Paint(CDC* pDC, const CRect& rcClient);
    // One bar in the rectangle (its right or top edge moves with the
    // position); nothing for an empty rectangle.
    void DrawHorizontalBar(CDC* pDC, const CRect& rcBar);
    void DrawVerticalBar(CDC* pDC, const CRect& rcBar);

    // The next stripe phase (0 after 19).
    void StepStripes();

    // Channel arithmetic of the shades: 51 lighter or darker, each channel
    // left alone when it would leave 0..255.
    static COLORREF AFX_CDECL LighterColor(COLORREF clr);
    static COLORREF AFX_CDECL DarkerColor(COLORREF clr);
    // Per channel: a + (b - a) / 2, the halving rounded down.
    static COLORREF AFX_CDECL MidColor(COLORREF clrA, COLORREF clrB);

public:
    int m_nIndOffset;         // stripe phase, 0 to 19
    BOOL m_bIndeterminate;    // moving stripes; the position is ignored
    CPen m_penColor;          // base
    CPen m_penColorLight;     // light 1
    CPen m_penColorLighter;   // light 2
    CPen m_penColorDark;      // dark 1
    CPen m_penColorDarker;    // dark 2
    CPen m_penDkShadow;
    CPen m_penMidShadow;
    CPen m_penShadow;
    COLORREF m_crColor;           // base (COLOR_HIGHLIGHT)
    COLORREF m_crColorLight;      // light 1
    COLORREF m_crColorLighter;    // light 2
    COLORREF m_crColorLightest;   // light 3: the bar's fill
    COLORREF m_crColorDark;       // dark 1
    COLORREF m_crColorDarker;     // dark 2
    COLORREF m_crDkShadow;
    COLORREF m_crMidShadow;
    COLORREF m_crShadow;

protected:
    afx_msg void OnPaint();
    afx_msg void OnPrintClient(CDC* pDC, UINT nFlags);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

private:
    // The stripes of one direction: nine lines per period.
    void DrawStripes(CDC* pDC, const CRect& rcBar, BOOL bVertical);
};
