// The push button of every game dialog: the toolkit's themed button drawn by
// the game's own family of button themes. They draw like the toolkit's
// themes with a light-grey outer ring, no parent colour behind a
// visual-styles button, and a focus rectangle whenever the button has the
// focus.
#pragma once

#include "XTButton.h"
#include "XTButtonTheme.h"

// The ring drawn round the game's buttons.
#define VANT_BUTTON_RING_COLOUR RGB(0xD7, 0xD7, 0xD7)

// The default (classic) look of the game's buttons.
class CVant_XTButtonTheme : public CXTButtonTheme
{
public:
    CVant_XTButtonTheme();

    virtual void DrawButtonText(CDC* pDC, UINT nState, CRect& rcItem, CXTButton* pButton);
    virtual void DrawButtonIcon(CDC* pDC, UINT nState, CRect& rcItem, CXTButton* pButton);
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDIS, CXTButton* pButton);
    virtual BOOL DrawVisualStylesBackground(LPDRAWITEMSTRUCT lpDIS, CXTButton* pButton);
    virtual void DrawButtonBackground(LPDRAWITEMSTRUCT lpDIS, CXTButton* pButton);
};

// The Office XP look of the game's buttons.
class CVant_XTButtonThemeOfficeXP : public CXTButtonThemeOfficeXP
{
public:
    explicit CVant_XTButtonThemeOfficeXP(BOOL bWordTheme = FALSE);

    virtual void DrawButtonText(CDC* pDC, UINT nState, CRect& rcItem, CXTButton* pButton);
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDIS, CXTButton* pButton);
    virtual BOOL DrawVisualStylesBackground(LPDRAWITEMSTRUCT lpDIS, CXTButton* pButton);
    virtual void DrawButtonBackground(LPDRAWITEMSTRUCT lpDIS, CXTButton* pButton);
};

// The Office 2003 look of the game's buttons: the Office XP look on the
// system's 3-D face, without colours per visual-styles scheme.
class CVant_XTButtonThemeOffice2003 : public CVant_XTButtonThemeOfficeXP
{
public:
    explicit CVant_XTButtonThemeOffice2003(BOOL bWordTheme = FALSE);

    virtual void RefreshMetrics();
    virtual void DrawButtonIcon(CDC* pDC, UINT nState, CRect& rcItem, CXTButton* pButton);
};

// Makes the game's button theme of a theme number: 1 Office XP,
// 2 Office 2003, anything else the default look.
class CVant_XTButtonThemeFactory : public CXTThemeManagerStyleFactory
{
    DECLARE_DYNCREATE(CVant_XTButtonThemeFactory)
public:
    virtual CXTThemeManagerStyle* CreateTheme(int nTheme);
};

class CVant_XTButton : public CXTButton
{
    DECLARE_DYNAMIC(CVant_XTButton)
public:
    CVant_XTButton();
    virtual ~CVant_XTButton();

    virtual DWORD GetStyleFlags() const;
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);

    CVant_XTButtonThemeFactory* GetGameFactory() { return &m_themeFactory; }

protected:
    // Owned by the button, not by the style host.
    CVant_XTButtonThemeFactory m_themeFactory;
};
