// The Whidbey command-bar theme.
#include "XTPWhidbeyTheme.h"

namespace XTPPaintThemes
{
CXTPWhidbeyTheme::CXTPWhidbeyTheme()
{
    m_nLunaTheme = xtpSystemThemeUnknown;
    m_bPlainSeparators = TRUE;
}

CXTPWhidbeyTheme::~CXTPWhidbeyTheme()
{
}

int CXTPWhidbeyTheme::BaseTheme()
{
    return xtpThemeWhidbey;
}

void CXTPWhidbeyTheme::RefreshMetrics()
{
    // The Office 2003 refresh; its shaded glyph is built once, at the end,
    // from this theme's glyph colours.
    RefreshColors();

    if (CXTPColorManager::IsLowColorDepth(NULL))
        m_clrToolbarExpand.SetStandardValueSolid(GetColor(COLOR_3DFACE));
    else
        m_clrToolbarExpand.SetStandardValue(
            CXTPColorManager::MixColors(GetColor(COLOR_WINDOW), GetColor(COLOR_3DFACE), 550),
            GetColor(COLOR_3DSHADOW), 0.5f);

    const int nScheme = GetColorManager()->GetCurrentSystemTheme();
    if (nScheme == xtpSystemThemeBlue || nScheme == xtpSystemThemeOlive)
    {
        m_clrCommandBar.SetStandardValue(RGB(250, 249, 245), RGB(192, 192, 168), 0.75f);
        if (nScheme == xtpSystemThemeBlue)
            m_clrToolbarExpand.SetStandardValue(RGB(238, 237, 234), RGB(152, 152, 126), 0.75f);
        else
            m_clrToolbarExpand.SetStandardValue(RGB(238, 237, 234), RGB(176, 172, 158), 0.75f);
        m_clrDockBar.SetStandardValue(RGB(229, 229, 215), RGB(244, 241, 231), 0.5f);
        m_clrMenuExpandedGripper.SetStandardValueSolid(RGB(204, 199, 186));
        m_clrMenuGlyph.SetStandardValueFromGradient(m_clrCommandBar);
        m_clrToolbarShadow.SetStandardValue(RGB(163, 163, 124));
        if (nScheme == xtpSystemThemeBlue)
        {
            m_clrDisabledIcon.SetStandardValue(RGB(247, 245, 249), RGB(122, 121, 153), 0.5f);
        }
        else
        {
            m_clrDisabledIcon.SetStandardValue(RGB(236, 233, 216), RGB(172, 168, 153), 0.5f);
            const int indexes[] = { XPCOLOR_HIGHLIGHT, XPCOLOR_HIGHLIGHT_PUSHED, XPCOLOR_HIGHLIGHT_CHECKED,
                                    XPCOLOR_PUSHED_TEXT };
            const COLORREF colors[] = { RGB(182, 198, 141), RGB(147, 160, 112), RGB(182, 198, 141),
                                        RGB(255, 255, 255) };
            SetColors(4, indexes, colors);
        }
    }
    else if (nScheme == xtpSystemThemeSilver)
    {
        m_clrCommandBar.SetStandardValue(RGB(243, 244, 250), RGB(153, 151, 181), 0.75f);
        m_clrToolbarExpand.SetStandardValue(RGB(179, 178, 200), RGB(118, 116, 146), 0.75f);
        m_clrDockBar.SetStandardValue(RGB(215, 215, 229), RGB(243, 243, 247), 0.5f);
        m_clrMenuExpandedGripper.SetStandardValue(RGB(215, 215, 226), RGB(133, 131, 162), 0.5f);
        m_clrMenuGlyph.SetStandardValue(RGB(232, 232, 241), RGB(176, 174, 197), 0.5f);
        m_clrToolbarShadow.SetStandardValue(RGB(124, 124, 148));
        m_clrDisabledIcon.SetStandardValue(RGB(247, 245, 249), RGB(122, 121, 153), 0.5f);

        const COLORREF clrHilite = RGB(75, 75, 111);
        const int indexes[] = { XPCOLOR_HIGHLIGHT, XPCOLOR_HIGHLIGHT_BORDER, XPCOLOR_HIGHLIGHT_CHECKED_BORDER,
                                XPCOLOR_HIGHLIGHT_PUSHED_BORDER, XPCOLOR_HIGHLIGHT_PUSHED,
                                XPCOLOR_HIGHLIGHT_CHECKED, XPCOLOR_PUSHED_TEXT };
        const COLORREF colors[] = { RGB(255, 238, 194), clrHilite, clrHilite, clrHilite, RGB(254, 128, 62),
                                    RGB(255, 192, 111), RGB(0, 0, 0) };
        SetColors(7, indexes, colors);

        const int others[] = { XPCOLOR_GRAYTEXT, XPCOLOR_TOOLBAR_GRAYTEXT, XPCOLOR_TOOLBAR_GRIPPER,
                               XPCOLOR_SEPARATOR, XPCOLOR_TOOLBAR_FACE, XPCOLOR_FLOATBAR_BORDER };
        const COLORREF otherColors[] = { RGB(141, 141, 141), RGB(141, 141, 141), RGB(84, 84, 117),
                                         RGB(110, 109, 143), RGB(219, 218, 228), RGB(122, 121, 153) };
        SetColors(6, others, otherColors);
        m_clrTearOffGripper.SetStandardValue(RGB(192, 192, 211));
        m_clrFloatingGripper.SetStandardValue(RGB(122, 121, 153));
    }

    CreateShadedGlyph();
}
} // namespace XTPPaintThemes
