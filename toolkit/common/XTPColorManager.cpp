// Colour manager and paint colours.
#include "XTPColorManager.h"
#include "XTPWinThemeWrapper.h"
#include <math.h>
#include <wchar.h>
#include <algorithm>

//////////////////////////////////////////////////////////////////////////
// CXTPPaintManagerColor / CXTPPaintManagerColorGradient

void CXTPPaintManagerColor::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
    {
        ar << (DWORD)m_clrStandardValue;
        ar << (DWORD)m_clrCustomValue;
    }
    else
    {
        DWORD dwStandard = 0, dwCustom = 0;
        ar >> dwStandard;
        ar >> dwCustom;
        m_clrStandardValue = dwStandard;
        m_clrCustomValue = dwCustom;
    }
}

void CXTPPaintManagerColorGradient::SetStandardValue(COLORREF clrStart, COLORREF clrEnd, float fFactor)
{
    clrLight.SetStandardValue(clrStart);
    clrDark.SetStandardValue(clrEnd);
    fGradientFactor = fFactor;
}

void CXTPPaintManagerColorGradient::SetStandardValueFromGradient(const CXTPPaintManagerColorGradient& other)
{
    clrLight.SetStandardValue(other.clrLight.GetColor());
    clrDark.SetStandardValue(other.clrDark.GetColor());
    fGradientFactor = other.fGradientFactor;
}

void CXTPPaintManagerColorGradient::Serialize(CArchive& ar)
{
    clrLight.Serialize(ar);
    clrDark.Serialize(ar);
    if (ar.IsStoring())
        ar << fGradientFactor;
    else
        ar >> fGradientFactor;
}

//////////////////////////////////////////////////////////////////////////
// Weighted colour space

namespace
{
const float g_fScale[3] = { 195.0f, 390.0f, 65.0f };

struct CWeighted
{
    float c[3];
};

CWeighted ToWeighted(COLORREF clr)
{
    CWeighted w;
    w.c[0] = GetRValue(clr) * g_fScale[0] / 255.0f;
    w.c[1] = GetGValue(clr) * g_fScale[1] / 255.0f;
    w.c[2] = GetBValue(clr) * g_fScale[2] / 255.0f;
    return w;
}

// Limits each component to [0, scale] and turns it back into a colour.
COLORREF FromWeighted(const CWeighted& w)
{
    int rgb[3];
    for (int i = 0; i < 3; i++)
    {
        float c = w.c[i];
        if (!(c >= 0.0f))  // also catches NaN
            c = 0.0f;
        if (c > g_fScale[i])
            c = g_fScale[i];
        int n = (int)(c * 255.0f / g_fScale[i] + 0.5f);
        rgb[i] = n < 0 ? 0 : (n > 255 ? 255 : n);
    }
    return RGB(rgb[0], rgb[1], rgb[2]);
}

float Length(const CWeighted& w)
{
    return (float)sqrt(w.c[0] * w.c[0] + w.c[1] * w.c[1] + w.c[2] * w.c[2]);
}

COLORREF ScaleColor(COLORREF clr, int nNum, int nDen)
{
    return RGB(GetRValue(clr) * nNum / nDen, GetGValue(clr) * nNum / nDen, GetBValue(clr) * nNum / nDen);
}
}

//////////////////////////////////////////////////////////////////////////
// CXTPColorManager

CXTPColorManager::CXTPColorManager()
    : m_bDisableLunaColors(FALSE), m_nChosenTheme(xtpSystemThemeAuto), m_nDetectedTheme(xtpSystemThemeUnknown)
{
    for (int i = 0; i < 63; i++)
    {
        m_arrStandardColor[i] = 0;
        m_arrCustomColor[i] = COLORREF_NULL;
        m_arrLunaColor[i] = COLORREF_NULL;
    }

    RefreshColors();

    m_arrGradients[7].SetStandardValue(RGB(255, 213, 140), RGB(255, 173, 85));
    m_arrGradients[8].SetStandardValue(RGB(254, 142, 75), RGB(255, 207, 139));
    m_arrGradients[9].SetStandardValue(RGB(255, 242, 200), RGB(255, 212, 151));
}

CXTPColorManager::~CXTPColorManager()
{
}

COLORREF CXTPColorManager::GetColor(int nIndex) const
{
    if (nIndex > XPCOLOR_LAST)
        return (COLORREF)nIndex;
    if (nIndex < 0)
        return 0;
    if (m_arrCustomColor[nIndex] != COLORREF_NULL)
        return m_arrCustomColor[nIndex];
    return m_arrStandardColor[nIndex];
}

COLORREF CXTPColorManager::GetLunaColor(int nIndex) const
{
    if (nIndex >= XPCOLOR_BASE && nIndex <= XPCOLOR_LAST && m_arrLunaColor[nIndex] != COLORREF_NULL)
        return m_arrLunaColor[nIndex];
    return GetColor(nIndex);
}

void CXTPColorManager::SetColor(int nIndex, COLORREF clrValue)
{
    if (nIndex >= 0 && nIndex <= XPCOLOR_LAST)
        m_arrCustomColor[nIndex] = clrValue;
}

COLORREF AFX_CDECL CXTPColorManager::MixColors(COLORREF clrA, COLORREF clrB, int nWeight)
{
    int nScale = 100, nRound = 50;
    if (nWeight >= 100)
    {
        nScale = 1000;
        nRound = 500;
    }
    int r = (GetRValue(clrA) * nWeight + GetRValue(clrB) * (nScale - nWeight) + nRound) / nScale;
    int g = (GetGValue(clrA) * nWeight + GetGValue(clrB) * (nScale - nWeight) + nRound) / nScale;
    int b = (GetBValue(clrA) * nWeight + GetBValue(clrB) * (nScale - nWeight) + nRound) / nScale;
    return RGB(r, g, b);
}

namespace
{
// The screen's bits per pixel, read on first use and again after
// OnDisplayChange; -1 when not read yet. Asking a display context for its
// depth is slow on some systems (a round trip to the window server each
// time), and gradients ask for every fill.
int g_nScreenBits = -1;

int ScreenBits()
{
    if (g_nScreenBits < 0)
    {
        HWND hWndDesktop = ::GetDesktopWindow();
        HDC hDCDesktop = ::GetDC(hWndDesktop);
        if (hDCDesktop == NULL)
            return 0;   // not kept: asked again next time
        g_nScreenBits = ::GetDeviceCaps(hDCDesktop, BITSPIXEL) * ::GetDeviceCaps(hDCDesktop, PLANES);
        ::ReleaseDC(hWndDesktop, hDCDesktop);
    }
    return g_nScreenBits;
}
} // namespace

BOOL AFX_CDECL CXTPColorManager::IsLowColorDepth(HDC hDC)
{
    // Screen and memory contexts have the depth of the screen; printers and
    // other devices are asked.
    int nBits = hDC != NULL && ::GetDeviceCaps(hDC, TECHNOLOGY) != DT_RASDISPLAY
                    ? ::GetDeviceCaps(hDC, BITSPIXEL) * ::GetDeviceCaps(hDC, PLANES)
                    : ScreenBits();
    return nBits >= 1 && nBits <= 8;
}

int AFX_CDECL CXTPColorManager::GetScreenBitsPerPixel()
{
    return ScreenBits();
}

void AFX_CDECL CXTPColorManager::OnDisplayChange()
{
    g_nScreenBits = -1;
}

int CXTPColorManager::GetCurrentSystemTheme() const
{
    if (m_nChosenTheme == xtpSystemThemeAuto || m_nChosenTheme == xtpSystemThemeDefault)
        return m_nDetectedTheme;
    return m_nChosenTheme;
}

int AFX_CDECL CXTPColorManager::GetSchemeFromThemeName(LPCWSTR pszFileName, LPCWSTR pszColorName)
{
    if (pszFileName == NULL || pszColorName == NULL)
        return xtpSystemThemeUnknown;

    WCHAR szFile[MAX_PATH + 1], szColor[MAX_PATH + 1];
    lstrcpynW(szFile, pszFileName, MAX_PATH);
    lstrcpynW(szColor, pszColorName, MAX_PATH);
    CharLowerW(szFile);
    CharLowerW(szColor);

    if (wcsstr(szFile, L"luna.msstyles") == NULL && wcsstr(szFile, L"winxp.luna.cjstyles") == NULL)
        return xtpSystemThemeUnknown;

    if (wcscmp(szColor, L"normalcolor") == 0)
        return xtpSystemThemeBlue;
    if (wcscmp(szColor, L"homestead") == 0)
        return xtpSystemThemeOlive;
    if (wcscmp(szColor, L"metallic") == 0)
        return xtpSystemThemeSilver;
    return xtpSystemThemeUnknown;
}

int CXTPColorManager::DetectSystemTheme()
{
    CXTPWinThemeWrapper wrapper;
    if (!wrapper.IsThemeActive() || IsLowColorScreen())
        return xtpSystemThemeUnknown;

    WCHAR szFile[MAX_PATH], szColor[MAX_PATH];
    szFile[0] = szColor[0] = 0;
    if (FAILED(wrapper.GetCurrentThemeName(szFile, MAX_PATH, szColor, MAX_PATH, NULL, 0)))
        return xtpSystemThemeUnknown;
    szFile[MAX_PATH - 1] = szColor[MAX_PATH - 1] = 0;

    return GetSchemeFromThemeName(szFile, szColor);
}

float CXTPColorManager::ColorDistance(COLORREF clrA, COLORREF clrB) const
{
    CWeighted a = ToWeighted(clrA), b = ToWeighted(clrB);
    float d0 = a.c[0] - b.c[0], d1 = a.c[1] - b.c[1], d2 = a.c[2] - b.c[2];
    return (float)sqrt(d0 * d0 + d1 * d1 + d2 * d2);
}

float CXTPColorManager::AdaptedThreshold(COLORREF clr, float fThreshold) const
{
    int d = (int)ColorDistance(clr, 0);
    int t = (int)fThreshold;
    if (d > 220)
        d = 220;
    return (float)((2.0 - d / 220.0) * t);
}

BOOL CXTPColorManager::IsColorDifferent(COLORREF clrA, COLORREF clrB, BOOL bAdaptive, float fThreshold) const
{
    float t = bAdaptive ? AdaptedThreshold(clrA, fThreshold) : fThreshold;
    float d = ColorDistance(clrA, clrB);
    return t * t < d * d;
}

COLORREF CXTPColorManager::SeparateColor(COLORREF clrA, COLORREF clrB, float fThreshold) const
{
    float dA = ColorDistance(clrA, 0);
    float dB = ColorDistance(clrB, 0);
    float t = AdaptedThreshold(clrA, fThreshold);

    float X = dA >= dB ? t : 442.0f - t;
    BOOL bMirror = X >= dA;

    CWeighted a = ToWeighted(clrA), b = ToWeighted(clrB);
    if (bMirror)
    {
        for (int i = 0; i < 3; i++)
        {
            a.c[i] = g_fScale[i] - a.c[i];
            b.c[i] = g_fScale[i] - b.c[i];
        }
    }

    float L = Length(b);
    if (L < 0.001f)
        L = 0.001f;
    float dot = a.c[0] * b.c[0] + a.c[1] * b.c[1] + a.c[2] * b.c[2];
    float p = dot / L;

    CWeighted foot;
    float h2 = 0.0f;
    for (int i = 0; i < 3; i++)
    {
        foot.c[i] = dot / (L * L) * b.c[i];
        float d = a.c[i] - foot.c[i];
        h2 += d * d;
    }

    // When a lies farther from b's line than t, no point of the line is at
    // distance t: take the foot point instead of the square root of a
    // negative number.
    float r2 = t * t - h2;
    float m = r2 > 0.0f ? p - (float)sqrt(r2) : p;

    CWeighted result;
    for (int i = 0; i < 3; i++)
    {
        result.c[i] = b.c[i] * m / L;
        if (bMirror)
            result.c[i] = g_fScale[i] - result.c[i];
    }
    return FromWeighted(result);
}

COLORREF CXTPColorManager::LimitColorDistance(COLORREF clrA, COLORREF clrB, float fThreshold) const
{
    float d = ColorDistance(clrA, clrB);
    if (d <= 0.0f)
        return clrB;
    float t = AdaptedThreshold(clrA, fThreshold);
    float k = (d - t) / d;

    CWeighted a = ToWeighted(clrA), b = ToWeighted(clrB), result;
    for (int i = 0; i < 3; i++)
        result.c[i] = b.c[i] + k * (a.c[i] - b.c[i]);
    return FromWeighted(result);
}

void CXTPColorManager::RefreshColors()
{
    OnDisplayChange();

    // 1. The scheme.
    m_nDetectedTheme = DetectSystemTheme();

    // 2. System colours.
    m_arrStandardColor[0] = 0;
    for (int i = 1; i <= 29; i++)
        m_arrStandardColor[i] = ::GetSysColor(i);

    // 3. Plain derived defaults.
    static const struct { int nIndex; int nSource; } defaults[] = {
        { 30, 15 }, { 51, 15 }, { 53, 15 }, { 55, 15 }, { 56, 15 },
        { 31, 5 }, { 36, 5 }, { 41, 5 },
        { 32, 13 }, { 33, 13 }, { 37, 13 }, { 50, 13 },
        { 34, 16 }, { 38, 16 }, { 39, 16 }, { 40, 16 }, { 42, 16 }, { 43, 16 }, { 48, 16 },
        { 52, 16 }, { 54, 16 }, { 57, 16 }, { 60, 16 }, { 61, 16 },
        { 35, 17 }, { 58, 17 },
        { 44, 8 }, { 45, 7 }, { 46, 18 }, { 47, 14 }, { 49, 14 },
    };
    for (size_t i = 0; i < sizeof(defaults) / sizeof(defaults[0]); i++)
        SetStandard(defaults[i].nIndex, GetColor(defaults[i].nSource));
    SetStandard(59, 0);

    // 4. Scheme colours.
    RefreshLunaColors();

    // 5. A low-colour screen keeps the plain colours.
    BOOL bLowColor = IsLowColorScreen();
    if (bLowColor)
    {
        RefreshGradientColors(TRUE);
        return;
    }

    // 6. Mixed colours.
    static const int mixes[][4] = {
        { 30, 5, 15, 165 }, { 31, 13, 5, 30 }, { 33, 13, 5, 50 }, { 41, 15, 5, 143 },
        { 35, 17, 5, 70 }, { 38, 16, 5, 75 }, { 39, 16, 5, 70 }, { 43, 46, 16, 20 },
        { 61, 46, 16, 15 }, { 40, 16, 5, 90 }, { 42, 15, 16, 90 },
    };
    for (size_t i = 0; i < sizeof(mixes) / sizeof(mixes[0]); i++)
        SetStandard(mixes[i][0], MixColors(GetColor(mixes[i][1]), GetColor(mixes[i][2]), mixes[i][3]));

    // 7.
    if (IsColorDifferent(GetColor(15), GetColor(30), TRUE, 35))
        SetStandard(30, LimitColorDistance(GetColor(15), GetColor(30), 35));

    // 8. Contrast repairs.
    static const int repairs[][4] = {
        { 31, 30, 31, 50 }, { 32, 30, 13, 100 }, { 33, 30, 33, 30 }, { 35, 41, 35, 80 },
        { 37, 33, 37, 100 }, { 38, 30, 38, 85 }, { 39, 30, 39, 50 }, { 43, 41, 43, 100 },
        { 61, 30, 61, 100 }, { 40, 30, 40, 80 }, { 44, 41, 44, 180 }, { 45, 31, 45, 180 },
        { 46, 30, 46, 180 }, { 47, 33, 47, 180 },
    };
    for (size_t i = 0; i < sizeof(repairs) / sizeof(repairs[0]); i++)
    {
        COLORREF clrA = GetColor(repairs[i][1]), clrB = GetColor(repairs[i][2]);
        float fThreshold = (float)repairs[i][3];
        if (!IsColorDifferent(clrA, clrB, TRUE, fThreshold))
            SetStandard(repairs[i][0], SeparateColor(clrA, clrB, fThreshold));
    }

    // 9.
    if (IsColorDifferent(GetColor(41), GetColor(35), TRUE, 145))
        SetStandard(35, LimitColorDistance(GetColor(41), GetColor(35), 145));

    // 10. Checked highlight: each term divided on its own.
    {
        COLORREF c30 = GetColor(30), c5 = GetColor(5), c13 = GetColor(13);
        int r = GetRValue(c30) * 50 / 100 + GetRValue(c5) * 40 / 100 + GetRValue(c13) * 10 / 100;
        int g = GetGValue(c30) * 50 / 100 + GetGValue(c5) * 40 / 100 + GetGValue(c13) * 10 / 100;
        int b = GetBValue(c30) * 50 / 100 + GetBValue(c5) * 40 / 100 + GetBValue(c13) * 10 / 100;
        SetStandard(36, RGB(r, g, b));
    }

    // 11. Further derived colours.
    {
        COLORREF c15 = GetColor(15);
        int m = std::max(std::max(GetRValue(c15), GetGValue(c15)), GetBValue(c15));
        if (m == 0)
            SetStandard(48, RGB(35, 35, 35));
        else
            SetStandard(48, ScaleColor(c15, m + std::min(255 - m, 35), m));

        if (c15 == 0)
        {
            SetStandard(49, RGB(127, 127, 127));
        }
        else
        {
            COLORREF c16 = GetColor(16);
            int m16 = std::max(std::max(GetRValue(c16), GetGValue(c16)), GetBValue(c16));
            if (m16 == 0)
                SetStandard(49, 0);
            else
                SetStandard(49, ScaleColor(c16, std::max(m16 - 43, 0), m16));
        }

        COLORREF c31 = GetColor(31);
        SetStandard(34, RGB((int)(GetRValue(c31) * 0.75), (int)(GetGValue(c31) * 0.75), (int)(GetBValue(c31) * 0.75)));

        SetStandard(22, RGB(std::min(GetRValue(c15) + 15, 255), std::min(GetGValue(c15) + 15, 255),
                            std::min(GetBValue(c15) + 15, 255)));

        SetStandard(53, GetColor(30));
        SetStandard(58, GetColor(40));
        SetStandard(60, m_arrStandardColor[40]);
    }

    // 12. Gradients.
    RefreshGradientColors(FALSE);

    // 13. Border colour of the native tree view.
    CXTPWinThemeWrapper wrapper;
    wrapper.OpenThemeData(NULL, L"TREEVIEW");
    if (wrapper.IsValid())
    {
        COLORREF clr = 0;
        if (SUCCEEDED(wrapper.GetThemeColor(0, 0, 3801, &clr)))
            SetStandard(57, clr);
    }
}

void CXTPColorManager::RefreshLunaColors()
{
    int nScheme = m_bDisableLunaColors ? 0 : GetCurrentSystemTheme();

    for (int i = 0; i < 63; i++)
        m_arrLunaColor[i] = COLORREF_NULL;

    if (nScheme < 1 || nScheme > 3)
        return;

    static const struct { int nIndex; COLORREF clr[3]; } table[] = {
        { 38, { RGB(39, 65, 118), RGB(81, 94, 51), RGB(84, 84, 117) } },
        { 39, { RGB(106, 140, 203), RGB(96, 128, 88), RGB(110, 109, 143) } },
        { 40, { RGB(109, 150, 208), RGB(159, 174, 122), RGB(168, 167, 190) } },
        { 41, { RGB(246, 246, 246), RGB(244, 244, 238), RGB(253, 250, 255) } },
        { 43, { RGB(0, 45, 150), RGB(117, 141, 94), RGB(124, 124, 148) } },
        { 31, { RGB(255, 238, 194), RGB(255, 238, 194), RGB(255, 238, 194) } },
        { 32, { RGB(0, 0, 128), RGB(63, 93, 56), RGB(75, 75, 111) } },
        { 50, { RGB(0, 0, 128), RGB(63, 93, 56), RGB(75, 75, 111) } },
        { 37, { RGB(0, 0, 128), RGB(63, 93, 56), RGB(75, 75, 111) } },
        { 33, { RGB(254, 128, 62), RGB(254, 128, 62), RGB(254, 128, 62) } },
        { 36, { RGB(255, 192, 111), RGB(255, 192, 111), RGB(255, 192, 111) } },
        { 30, { RGB(158, 190, 245), RGB(217, 217, 167), RGB(215, 215, 229) } },
        { 47, { RGB(0, 0, 0), RGB(0, 0, 0), RGB(0, 0, 0) } },
        { 59, { RGB(22, 30, 54), RGB(31, 34, 25), RGB(36, 32, 41) } },
    };
    for (size_t i = 0; i < sizeof(table) / sizeof(table[0]); i++)
        m_arrLunaColor[table[i].nIndex] = table[i].clr[nScheme - 1];
}

void CXTPColorManager::RefreshGradientColors(BOOL bLowColor)
{
    int nScheme = m_bDisableLunaColors ? 0 : GetCurrentSystemTheme();

    if (nScheme >= 1 && nScheme <= 3)
    {
        static const COLORREF frame[3] = { RGB(0, 45, 150), RGB(96, 128, 88), RGB(124, 124, 148) };
        SetStandard(54, frame[nScheme - 1]);

        static const struct { COLORREF clrStart, clrEnd; float fFactor; } table[7][3] = {
            { { RGB(89, 135, 214), RGB(0, 45, 150), 0.5f },
              { RGB(175, 192, 130), RGB(99, 122, 68), 0.5f },
              { RGB(168, 167, 191), RGB(112, 111, 145), 0.5f } },
            { { RGB(158, 190, 245), RGB(196, 218, 250), 0.5f },
              { RGB(217, 217, 167), RGB(242, 241, 228), 0.5f },
              { RGB(215, 215, 229), RGB(243, 243, 247), 0.5f } },
            { { RGB(89, 135, 214), RGB(0, 45, 150), 0.5f },
              { RGB(120, 142, 111), RGB(73, 91, 67), 0.5f },
              { RGB(168, 167, 191), RGB(119, 118, 151), 0.5f } },
            { { RGB(221, 236, 254), RGB(129, 169, 226), 0.75f },
              { RGB(244, 247, 222), RGB(183, 198, 145), 0.3f },
              { RGB(249, 249, 255), RGB(156, 155, 183), 0.75f } },
            { { RGB(227, 239, 255), RGB(135, 173, 228), 0.5f },
              { RGB(255, 255, 237), RGB(184, 199, 146), 0.3f },
              { RGB(249, 249, 255), RGB(159, 157, 185), 0.75f } },
            { { RGB(203, 221, 246), RGB(121, 161, 220), 0.5f },
              { RGB(230, 230, 209), RGB(164, 180, 120), 0.3f },
              { RGB(215, 215, 226), RGB(128, 126, 158), 0.75f } },
            { { RGB(227, 239, 255), RGB(147, 181, 231), 0.5f },
              { RGB(236, 240, 213), RGB(194, 206, 159), 0.5f },
              { RGB(233, 231, 241), RGB(186, 185, 205), 0.5f } },
        };
        for (int i = 0; i < 7; i++)
        {
            const auto& cell = table[i][nScheme - 1];
            m_arrGradients[i].SetStandardValue(cell.clrStart, cell.clrEnd, cell.fFactor);
        }
    }
    else
    {
        COLORREF c15 = GetColor(15), c5 = GetColor(5), c16 = GetColor(16);
        m_arrGradients[0].SetStandardValue(c16, c16);
        m_arrGradients[1].SetStandardValue(c15, MixColors(c15, c5, 215));
        m_arrGradients[2].SetStandardValue(c15, c16);
        m_arrGradients[3].SetStandardValue(MixColors(c15, c5, 205), c15);
        m_arrGradients[4].SetStandardValue(MixColors(c15, c5, 145), MixColors(c15, c5, 93));
        m_arrGradients[5].SetStandardValue(MixColors(c15, c5, 40), MixColors(c15, c16, 95));
        m_arrGradients[6].SetStandardValue(MixColors(c15, c5, 165), MixColors(c15, c5, 42));
    }

    if (bLowColor)
    {
        m_arrGradients[1].SetStandardValueSolid(GetColor(15));
        m_arrGradients[3].SetStandardValueSolid(GetColor(15));
    }
}

//////////////////////////////////////////////////////////////////////////
// Shared instance

namespace
{
struct CColorManagerHolder
{
    CXTPColorManager* p = NULL;
    ~CColorManagerHolder()
    {
        delete p;
        p = NULL;
    }
};
CColorManagerHolder s_colorManager;
}

CXTPColorManager* AFX_CDECL GetColorManager()
{
    if (s_colorManager.p == NULL)
        s_colorManager.p = new CXTPColorManager();
    return s_colorManager.p;
}

void AFX_CDECL RefreshColorManager()
{
    GetColorManager()->RefreshColors();
}
