// The status bar of the command bars and its panes. The paint manager fills
// the bar, frames the panes and draws each pane's icon and text in the
// pane's font, colours, padding and alignment. (Only what the paint themes
// read is declared here so far.)
#pragma once

#include <afxext.h>

#include "XTPCommandBarsDefines.h"

class CXTPImageManagerIcon;

class CXTPStatusBar : public CStatusBar
{
public:
    CXTPStatusBar() : m_bDrawDisabledText(FALSE) {}

    // Whether disabled panes still show their text.
    BOOL GetDrawDisabledText() const { return m_bDrawDisabledText; }
    void SetDrawDisabledText(BOOL bDraw) { m_bDrawDisabledText = bDraw; }

public:
    BOOL m_bDrawDisabledText;
};

class CXTPStatusBarPane : public CCmdTarget
{
public:
    CXTPStatusBarPane()
        : m_pStatusBar(NULL)
        , m_nStyle(0)
        , m_clrBackground(COLORREF_NULL)
        , m_clrText(COLORREF_NULL)
        , m_rcPadding(2, 1, 2, 1)
        , m_pImage(NULL)
        , m_nAlignment(0)
    {
    }

    CXTPStatusBar* GetStatusBar() const { return m_pStatusBar; }
    // SBPS_* bits.
    UINT GetStyle() const { return m_nStyle; }
    // COLORREF_NULL: none of its own.
    COLORREF GetBackgroundColor() const { return m_clrBackground; }
    COLORREF GetTextColor() const { return m_clrText; }
    // The pane's font, else the status bar's.
    CFont* GetTextFont()
    {
        if (m_fntText.GetSafeHandle() != NULL)
            return &m_fntText;
        return m_pStatusBar != NULL ? m_pStatusBar->GetFont() : NULL;
    }
    CRect GetPadding() const { return m_rcPadding; }
    CString GetText() const { return m_strText; }
    CXTPImageManagerIcon* GetImage() const { return m_pImage; }
    // 0 left, 1 centre, 2 right.
    int GetTextAlignment() const { return m_nAlignment; }

public:
    CXTPStatusBar* m_pStatusBar;
    UINT m_nStyle;
    COLORREF m_clrBackground;
    COLORREF m_clrText;
    CFont m_fntText;
    CRect m_rcPadding;
    CString m_strText;
    CXTPImageManagerIcon* m_pImage;     // not owned
    int m_nAlignment;
};
