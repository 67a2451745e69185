// Conversion between COLORREF values and hue, saturation and luminance: in
// doubles for the colour windows of the custom colour page, in integers
// 0-255 for its edit fields. The pictures and the numbers shown depend on
// the exact arithmetic, so this file is compiled for true double precision
// (SSE2): the x87 unit's 80-bit intermediates would give other integers for
// about one colour in five.
#pragma once

#include "XTPCommon.h"

// One channel of the HSL to RGB conversion.
double AFXAPI HueToRGB(double p, double q, double t);
// h in [0, 1), s and l in [0, 1]; a grey gives h = s = 0.
void AFXAPI RGBtoHSL(COLORREF clr, double& h, double& s, double& l);
// The same for the colour windows (pointers; any may be NULL).
void AFXAPI RGBtoHSL(COLORREF clr, double* h, double* s, double* l);
// Integers 0-255 for the edit fields, each truncated toward zero; note the
// order: luminance, saturation, hue.
void AFXAPI RGBtoHSL(COLORREF clr, int& l, int& s, int& h);
// Each channel multiplied by 255 and truncated toward zero.
COLORREF AFXAPI HSLtoRGB(double h, double s, double l);
// The same with the arguments in hue, luminance, saturation order.
COLORREF AFXAPI HLStoRGB(double h, double l, double s);

// A colour value: made from HSL, or turned into HSL.
class CXTColorRef
{
public:
    CXTColorRef() : m_clr(0) {}
    explicit CXTColorRef(COLORREF clr) : m_clr(clr) {}
    // From hue, saturation and luminance (starts from black, then sets it).
    CXTColorRef(double h, double s, double l);

    void SetHSL(double h, double s, double l);
    void GetHSL(double& h, double& s, double& l) const;

    operator COLORREF() const { return m_clr; }

private:
    COLORREF m_clr;
};
