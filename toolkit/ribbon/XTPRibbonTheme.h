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

    // Paint-manager overrides.
    virtual void RefreshMetrics();
    virtual void UpdateFonts();
    virtual int BaseTheme() { return 6; }
    virtual void FillCommandBar(CDC* pDC, CXTPCommandBar* pBar);
    virtual COLORREF GetControlTextColor(CXTPControl* pButton);
    virtual void DrawRectangle(CDC* pDC, CRect rc, BOOL bSelected, BOOL bPressed, BOOL bEnabled, BOOL bChecked,
                               BOOL bPopuped, int barType, int barPosition);
    virtual void SetCommandBarRegion(CXTPCommandBar* pCommandBar);
    virtual COLORREF GetControlEditBackColor(CXTPControl* pControl);

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
    // Draws state nState of nCount of a picture of the store; FALSE (and
    // nothing drawn) when the store lacks it.
    BOOL DrawPart(CDC* pDC, LPCTSTR lpszName, CRect rc, int nState, int nCount, CRect rcMargins, BOOL bTransparent);
    // The face of a quick access button from picture lpszPart; its rectangle.
    CRect DrawQuickAccessButtonFace(CDC* pDC, CXTPControl* pControl, LPCTSTR lpszPart);
    // A colour of the store's "Ribbon" section, the default when the key is missing.
    COLORREF RibbonColor(LPCTSTR lpszKey, COLORREF clrDefault) const;
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
