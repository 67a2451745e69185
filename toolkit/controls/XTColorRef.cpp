// RGB and HSL conversion in true doubles.
#include "XTColorRef.h"

namespace
{
const double kOneThird = 0.3333333333333333;
const double kTwoThirds = 0.6666666666666666;
} // namespace

double AFXAPI HueToRGB(double p, double q, double t)
{
    if (t < 0)
        t += 1.0;
    if (t > 1)
        t -= 1.0;
    if (6.0 * t < 1.0)
        return p + (q - p) * 6.0 * t;
    if (2.0 * t < 1.0)
        return q;
    if (3.0 * t < 2.0)
        return p + (q - p) * (kTwoThirds - t) * 6.0;
    return p;
}

void AFXAPI RGBtoHSL(COLORREF clr, double& h, double& s, double& l)
{
    const double r = GetRValue(clr) / 255.0;
    const double g = GetGValue(clr) / 255.0;
    const double b = GetBValue(clr) / 255.0;
    double dMax = r > g ? r : g;
    if (b > dMax)
        dMax = b;
    double dMin = r < g ? r : g;
    if (b < dMin)
        dMin = b;
    l = (dMax + dMin) * 0.5;
    if (dMax == dMin)
    {
        h = s = 0.0;
        return;
    }
    const double d = dMax - dMin;
    s = l < 0.5 ? d / (dMax + dMin) : d / (2.0 - dMax - dMin);
    if (r == dMax)
        h = (g - b) / d;
    else if (g == dMax)
        h = 2.0 + (b - r) / d;
    else
        h = 4.0 + (r - g) / d;
    h = h / 6.0;
    if (h < 0)
        h += 1.0;
}

void AFXAPI RGBtoHSL(COLORREF clr, double* h, double* s, double* l)
{
    double dH, dS, dL;
    RGBtoHSL(clr, dH, dS, dL);
    if (h != NULL)
        *h = dH;
    if (s != NULL)
        *s = dS;
    if (l != NULL)
        *l = dL;
}

void AFXAPI RGBtoHSL(COLORREF clr, int& l, int& s, int& h)
{
    double dH, dS, dL;
    RGBtoHSL(clr, dH, dS, dL);
    l = (int)(dL * 255.0);
    s = (int)(dS * 255.0);
    h = (int)(dH * 255.0);
}

COLORREF AFXAPI HSLtoRGB(double h, double s, double l)
{
    double r, g, b;
    if (s == 0)
    {
        r = g = b = l;
    }
    else
    {
        const double q = l < 0.5 ? l * (1.0 + s) : l + s - l * s;
        const double p = 2.0 * l - q;
        r = HueToRGB(p, q, h + kOneThird);
        g = HueToRGB(p, q, h);
        b = HueToRGB(p, q, h - kOneThird);
    }
    // Truncated toward zero; the low 8 bits of each channel.
    return RGB((BYTE)((int)(r * 255.0) & 0xFF), (BYTE)((int)(g * 255.0) & 0xFF), (BYTE)((int)(b * 255.0) & 0xFF));
}

COLORREF AFXAPI HLStoRGB(double h, double l, double s)
{
    return HSLtoRGB(h, s, l);
}

CXTColorRef::CXTColorRef(double h, double s, double l) : m_clr(0)
{
    SetHSL(h, s, l);
}

void CXTColorRef::SetHSL(double h, double s, double l)
{
    m_clr = HSLtoRGB(h, s, l);
}

void CXTColorRef::GetHSL(double& h, double& s, double& l) const
{
    RGBtoHSL(m_clr, h, s, l);
}
