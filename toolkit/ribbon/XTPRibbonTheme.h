// The ribbon paint theme: the command-bar theme that draws the ribbon's
// tabs, groups, caption row, quick-access row and popups from the pictures
// and colours of the Office 2007 theme store, measures the ribbon's fonts
// and heights and makes the tab paint manager of the ribbon's tab strip.
// Where the store lacks a picture, the part is drawn from the theme's
// colours instead.
#pragma once

#include "XTPOffice2007Theme.h"
#include "XTPTabPaintManager.h"

class CXTPRibbonBar;
class CXTPRibbonTab;
class CXTPRibbonGroup;
class CXTPControl;
class CXTPCommandBar;
class CXTPPopupBar;
class CXTPControlComboBox;
class CXTPControlEdit;
class CXTPStatusBar;
class CXTPCommandBarKeyboardTip;

class CXTPRibbonTheme : public CXTPOffice2007Theme
{
public:
    // The tab look: flat property-page tabs whose selected and hot tabs the
    // theme draws.
    class CRibbonAppearanceSet : public CXTPTabPaintManager::CAppearanceSetPropertyPageFlat
    {
    public:
        explicit CRibbonAppearanceSet(CXTPRibbonTheme* pTheme);
        virtual int GetButtonHeight(const CXTPTabManager* pTabManager);
        virtual void DrawSingleButton(CDC* pDC, CXTPTabManagerItem* pItem);
        virtual CRect FillClient(CDC* pDC, CXTPTabManager* pTabManager) { return CRect(0, 0, 0, 0); }
        CXTPRibbonTheme* m_pTheme;
    };

    class CRibbonColorSet : public CXTPTabPaintManager::CColorSetOffice2003
    {
    public:
        explicit CRibbonColorSet(CXTPRibbonTheme* pTheme) : m_pTheme(pTheme) {}
        virtual void RefreshMetrics();
        CXTPRibbonTheme* m_pTheme;
    };

    CXTPRibbonTheme();
    virtual ~CXTPRibbonTheme();

    // Paint-manager overrides: controls, marks, menus and the status bar
    // drawn from the store's pictures; a missing picture leaves the drawing
    // to the Office 2007 theme.
    virtual void DrawSplitButtonFrame(CDC* pDC, CXTPControl* pButton, CRect rcButton);
    virtual CSize DrawControlComboBox(CDC* pDC, CXTPControlComboBox* pControlCombo, BOOL bDraw);
    virtual COLORREF GetControlEditBackColor(CXTPControl* pControl);
    virtual CSize DrawControlEdit(CDC* pDC, CXTPControlEdit* pControlEdit, BOOL bDraw);
    virtual void FillCommandBar(CDC* pDC, CXTPCommandBar* pBar);
    virtual void DrawControlEntry(CDC* pDC, CXTPControl* pButton);
    virtual COLORREF GetControlTextColor(CXTPControl* pButton);
    virtual COLORREF GetRectangleTextColor(BOOL bSelected, BOOL bPressed, BOOL bEnabled, BOOL bChecked,
                                           BOOL bPopuped, int barType, int barPosition);
    virtual void DrawRectangle(CDC* pDC, CRect rc, BOOL bSelected, BOOL bPressed, BOOL bEnabled, BOOL bChecked,
                               BOOL bPopuped, int barType, int barPosition);
    virtual CSize DrawCommandBarSeparator(CDC* pDC, CXTPCommandBar* pBar, CXTPControl* pControl, BOOL bDraw = TRUE);
    virtual void DrawStatusBarGripper(CDC* pDC, CRect rcClient);
    virtual void FillStatusBar(CDC* pDC, CXTPStatusBar* pBar);
    virtual void RefreshMetrics();
    virtual void SetCommandBarRegion(CXTPCommandBar* pCommandBar);
    virtual CSize DrawCheckBoxMark(CDC* pDC, CRect rc, BOOL bDraw, BOOL bSelected, BOOL bPressed, int nChecked,
                                   BOOL bEnabled);
    virtual CSize DrawRadioButtonMark(CDC* pDC, CRect rc, BOOL bDraw, BOOL bSelected, BOOL bPressed, int nChecked,
                                      BOOL bEnabled);
    virtual void FillPopupBarGripper(CDC* pDC, int x, int y, int cx, int cy, BOOL bExpanded);
    virtual int BaseTheme() { return 6; }
    virtual void UpdateFonts();
    virtual void DrawDropDownGlyph(CDC* pDC, CXTPControl* pControl, CPoint pt, BOOL bSelected, BOOL bPopuped,
                                   BOOL bEnabled, BOOL bVert);
    virtual void DrawKeyboardTip(CDC* pDC, CXTPCommandBarKeyboardTip* pWnd, BOOL bSetRegion);
    virtual void DrawDropDownButton(CDC* pDC, CXTPControl* pControl);
    virtual void DrawControlPopupGlyph(CDC* pDC, CXTPControl* pControl);
    virtual void DrawControlLabelBackground(CDC* pDC, CRect rc);

    // The ribbon operations.
    virtual void FillGroupsArea(CDC* pDC, CXTPRibbonTab* pTab, CRect rcGroups);
    virtual void DrawQuickAccessFrame(CDC* pDC, CXTPRibbonBar* pRibbonBar);
    virtual void DrawGroup(CDC* pDC, CXTPRibbonGroup* pGroup);
    virtual CSize DrawGroupPopupButton(CDC* pDC, CXTPControl* pControl, BOOL bDraw);
    virtual CSize DrawGroupOptionButton(CDC* pDC, CXTPControl* pControl, BOOL bDraw);
    virtual void DrawRibbonTab(CDC* pDC, CXTPTabManagerItem* pItem);
    virtual void FillGroupPopupBar(CDC* pDC, CXTPRibbonGroup* pGroup, CXTPCommandBar* pBar);
    virtual void DrawRibbonFrameCaption(CDC* pDC, CXTPRibbonBar* pRibbonBar, BOOL bActive);
    virtual void DrawRibbonCaptionArea(CDC* pDC, CXTPRibbonBar* pRibbonBar);
    virtual void DrawSystemButton(CDC* pDC, CXTPControl* pControl, CRect rc);
    virtual void DrawContextHeaders(CDC* pDC, CXTPRibbonBar* pRibbonBar);
    virtual void DrawQuickAccessButton(CDC* pDC, CXTPControl* pControl);
    virtual void DrawQuickAccessMoreButton(CDC* pDC, CXTPControl* pControl);
    virtual void DrawGroupsScrollButton(CDC* pDC, CXTPControl* pControl, BOOL bScrollLeft);
    virtual void FillMorePopupToolBar(CDC* pDC, CXTPCommandBar* pBar);
    virtual CXTPTabPaintManager* CreateTabPaintManager();

    // The popup of a minimised ribbon's tab: the ribbon face.
    void FillTabPopupToolBar(CDC* pDC, CXTPPopupBar* pBar);
    // A caption button of the frame drawn by the ribbon.
    void DrawCaptionButtonControl(CDC* pDC, CRect rc, int nId, BOOL bSelected, BOOL bPressed, BOOL bEnabled,
                                  BOOL bActive);
    // Where a control of a ribbon group stands in its run of grouped
    // controls: whether it starts the run, whether the run ends with it, and
    // whether the run is an explicit group of several controls (its first
    // control carries the begin-group flag). FALSE for a control that is not
    // a small control of a ribbon group.
    BOOL GetGroupRunPosition(CXTPControl* pControl, BOOL& bFirst, BOOL& bLast, BOOL& bGrouped) const;
    // The state of a grouped-run picture (normal, hot, pressed, checked, hot
    // and checked, disabled), -1 when nothing is drawn.
    static int AFX_CDECL GetSpecialState(BOOL bSelected, BOOL bPressed, BOOL bEnabled, BOOL bChecked,
                                         BOOL bPopuped, BOOL bGrouped);
    // Draws a state of a button picture with a glyph in its middle (margins
    // 2): stretched to the rectangle, then the middle nBand rows of the
    // picture over the middle of the rectangle at their own height, so that
    // the glyph keeps its shape.
    void DrawPartWithGlyphBand(CDC* pDC, CXTPOffice2007Image* pImage, CRect rc, int nState, int nCount, int nBand);
    // Draws state nState of nCount of a picture of the store; FALSE (and
    // nothing drawn) when the store lacks it.
    BOOL DrawPart(CDC* pDC, LPCTSTR lpszName, CRect rc, int nState, int nCount, CRect rcMargins, BOOL bTransparent);
    // A quick-access button drawn from picture lpszPart (nothing without it).
    void DrawQuickAccessPart(CDC* pDC, CXTPControl* pControl, LPCTSTR lpszPart);
    // A colour of the store's "Ribbon" section, -1 when the key is missing.
    COLORREF RibbonColor(LPCTSTR lpszKey) const;
    // Fills a rectangle with a colour; nothing for -1 (no colour).
    static void AFX_CDECL FillColour(CDC* pDC, const CRect& rc, COLORREF clr);
    // Whether the rectangle (bar client coordinates) meets the caption of a
    // ribbon bar that draws the frame and shows its caption.
    virtual BOOL IsInRibbonCaption(const CRect& rc, CXTPCommandBar* pBar) const;
    // "BLUE" .. "ORANGE" for 1-7, else "".
    static CString AFX_CDECL GetContextColorName(int nColor);
    // The header and tab colour of a context colour (1-7); plain tabs for others.
    static COLORREF AFX_CDECL GetContextColor(int nColor);

    CXTPTabPaintManager* GetTabPaintManager() const { return m_pTabPaintManager; }
    CFont* GetGroupCaptionFont() { return &m_fontGroupCaption; }
    int GetTabHeight() const { return m_nTabHeight; }
    int GetGroupCaptionHeight() const { return m_nGroupCaptionHeight; }
    int GetLargeButtonHeight() const { return m_nLargeButtonHeight; }
    // The theme's button height: the control height.
    int GetButtonHeight() const { return GetControlHeight(); }
    int GetCaptionHeight() const { return m_nRibbonCaptionHeight; }
    int GetFrameCaptionHeight() const { return m_nFrameCaptionHeight; }
    int GetSplitDropDownWidth() const { return m_nSplitButtonDropDownWidth; }
    // 0 = the system's menu font size; a value above 11 replaces it.
    void SetFontHeight(int nHeight);
    int GetFontHeight() const { return m_nFontHeight; }
    BOOL IsHighlightGroups() const { return m_bHighlightGroups; }

public:
    CFont m_fontGroupCaption;
    int m_nTabHeight;
    int m_nGroupCaptionHeight;
    int m_nLargeButtonHeight;
    int m_nFontHeight;
    BOOL m_bHighlightGroups;
    CXTPTabPaintManager* m_pTabPaintManager;

    COLORREF m_clrRibbonFace;
    COLORREF m_clrRibbonText;
    COLORREF m_clrGroupCaptionText;
    COLORREF m_clrControlEditNormal;
    COLORREF m_clrMinimizedFrameEdgeHighLight;
    COLORREF m_clrMinimizedFrameEdgeShadow;
    COLORREF m_clrTabNormalText;
    COLORREF m_clrTabSelectedText;
    COLORREF m_clrGroupBorder;
    COLORREF m_clrGroupFaceLight;
    COLORREF m_clrGroupFaceDark;
    COLORREF m_clrGroupCaptionLight;
    COLORREF m_clrGroupCaptionDark;
    COLORREF m_clrGroupsAreaLight;
    COLORREF m_clrGroupsAreaDark;
    COLORREF m_clrCaptionLight;
    COLORREF m_clrCaptionDark;
    COLORREF m_clrFrameText;
};
