// RGB and HSL conversion: the fixed points, and sweeps over every colour
// against the formulas computed in true doubles.
#include "XTColorRef.h"

#include <gtest/gtest.h>

#include <stdlib.h>

namespace
{
// The formulas as written, each step rounded to a double (this file is
// compiled for SSE2 like the conversion, so no step keeps more precision).
void ReferenceHSL(int R, int G, int B, double& h, double& s, double& l)
{
    volatile double r = R / 255.0, g = G / 255.0, b = B / 255.0;
    volatile double mx = r, mn = r;
    if (g > mx)
        mx = g;
    if (b > mx)
        mx = b;
    if (g < mn)
        mn = g;
    if (b < mn)
        mn = b;
    volatile double sum = mx + mn;
    l = sum * 0.5;
    if (mx == mn)
    {
        h = s = 0;
        return;
    }
    volatile double d = mx - mn;
    if (l < 0.5)
        s = d / sum;
    else
    {
        volatile double two = 2.0 - mx;
        two = two - mn;
        s = d / two;
    }
    volatile double t;
    if (r == mx)
    {
        t = g - b;
        t = t / d;
    }
    else if (g == mx)
    {
        t = b - r;
        t = t / d;
        t = 2.0 + t;
    }
    else
    {
        t = r - g;
        t = t / d;
        t = 4.0 + t;
    }
    t = t / 6.0;
    if (t < 0)
        t = t + 1.0;
    h = t;
}

TEST(ColorRef, FixedPointsOfTheConversion)
{
    double h, s, l;
    RGBtoHSL(RGB(255, 0, 0), h, s, l);
    EXPECT_EQ(0.0, h);
    EXPECT_EQ(1.0, s);
    EXPECT_EQ(0.5, l);
    int nL, nS, nH;
    RGBtoHSL(RGB(255, 0, 0), nL, nS, nH);
    EXPECT_EQ(127, nL);
    EXPECT_EQ(255, nS);
    EXPECT_EQ(0, nH);

    RGBtoHSL(RGB(0, 0, 255), h, s, l);
    EXPECT_NEAR(2.0 / 3.0, h, 1e-15);
    RGBtoHSL(RGB(0, 0, 255), nL, nS, nH);
    EXPECT_EQ(170, nH);

    // The x87 unit's mixed precisions made this 254.
    RGBtoHSL(RGB(0, 0, 153), nL, nS, nH);
    EXPECT_EQ(255, nS);

    EXPECT_EQ(RGB(255, 0, 0), HSLtoRGB(0, 1, 0.5));
    EXPECT_EQ(RGB(255, 0, 0), HLStoRGB(0, 0.5, 1));
    EXPECT_EQ(RGB(255, 0, 0), (COLORREF)CXTColorRef(0.0, 1.0, 0.5));
    EXPECT_EQ(RGB(0, 255, 0), HSLtoRGB(1.0 / 3.0, 1, 0.5));

    // Greys: no hue, no saturation, and back to themselves.
    for (int n = 0; n < 256; n++)
    {
        RGBtoHSL(RGB(n, n, n), h, s, l);
        EXPECT_EQ(0.0, h);
        EXPECT_EQ(0.0, s);
        EXPECT_EQ(RGB(n, n, n), HSLtoRGB(0.3, 0, l)) << n;
    }

    // The pointer form leaves out what is not asked for.
    double dHue = -1;
    RGBtoHSL(RGB(0, 0, 255), &dHue, NULL, NULL);
    EXPECT_NEAR(2.0 / 3.0, dHue, 1e-15);

    // HueToRGB wraps t into [0, 1] and takes its four pieces.
    EXPECT_EQ(0.25, HueToRGB(0.25, 0.75, -1.0));
    EXPECT_EQ(0.75, HueToRGB(0.25, 0.75, 0.4));
    EXPECT_EQ(0.25, HueToRGB(0.25, 0.75, 1.9));
}

TEST(ColorRef, EveryColourMatchesTheFormulasInTrueDoubles)
{
    int nMismatches = 0;
    for (int R = 0; R < 256; R++)
        for (int G = 0; G < 256; G++)
            for (int B = 0; B < 256; B++)
            {
                double h, s, l, hr, sr, lr;
                RGBtoHSL(RGB(R, G, B), h, s, l);
                ReferenceHSL(R, G, B, hr, sr, lr);
                int nL, nS, nH;
                RGBtoHSL(RGB(R, G, B), nL, nS, nH);
                if (h != hr || s != sr || l != lr || nL != (int)(lr * 255.0) || nS != (int)(sr * 255.0) ||
                    nH != (int)(hr * 255.0))
                {
                    if (nMismatches++ < 5)
                        ADD_FAILURE() << "RGB(" << R << "," << G << "," << B << ")";
                }
            }
    EXPECT_EQ(0, nMismatches);
}

TEST(ColorRef, ARoundTripLosesAtMostOneUnitPerChannel)
{
    int nWorse = 0;
    for (int R = 0; R < 256; R++)
        for (int G = 0; G < 256; G++)
            for (int B = 0; B < 256; B++)
            {
                double h, s, l;
                RGBtoHSL(RGB(R, G, B), h, s, l);
                const COLORREF clr = HSLtoRGB(h, s, l);
                if (abs(GetRValue(clr) - R) > 1 || abs(GetGValue(clr) - G) > 1 || abs(GetBValue(clr) - B) > 1)
                {
                    if (nWorse++ < 5)
                        ADD_FAILURE() << "RGB(" << R << "," << G << "," << B << ") came back as RGB("
                                      << (int)GetRValue(clr) << "," << (int)GetGValue(clr) << ","
                                      << (int)GetBValue(clr) << ")";
                }
            }
    EXPECT_EQ(0, nWorse);
}

TEST(ColorRef, HSLtoRGBFollowsTheFormulasOverAGrid)
{
    // The formulas of the other direction, step by step in doubles.
    auto hue = [](double p, double q, double t) {
        volatile double v = t;
        if (v < 0)
            v = v + 1.0;
        if (v > 1)
            v = v - 1.0;
        if (6.0 * v < 1.0)
            return p + (q - p) * 6.0 * v;
        if (2.0 * v < 1.0)
            return q;
        if (3.0 * v < 2.0)
            return p + (q - p) * (0.6666666666666666 - v) * 6.0;
        return p;
    };
    int nMismatches = 0;
    for (int i = 0; i < 256; i++)
        for (int j = 0; j < 256; j++)
            for (int k = 0; k < 256; k += 3)
            {
                const double h = i / 256.0, s = j / 255.0, l = k / 255.0;
                double r = l, g = l, b = l;
                if (s != 0)
                {
                    const double q = l < 0.5 ? l * (1.0 + s) : l + s - l * s;
                    const double p = 2.0 * l - q;
                    r = hue(p, q, h + 0.3333333333333333);
                    g = hue(p, q, h);
                    b = hue(p, q, h - 0.3333333333333333);
                }
                const COLORREF clrRef = RGB((int)(r * 255.0) & 0xFF, (int)(g * 255.0) & 0xFF, (int)(b * 255.0) & 0xFF);
                if (HSLtoRGB(h, s, l) != clrRef && nMismatches++ < 5)
                    ADD_FAILURE() << "h " << h << " s " << s << " l " << l;
            }
    EXPECT_EQ(0, nMismatches);
}
} // namespace
