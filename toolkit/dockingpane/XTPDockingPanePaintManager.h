// The docking-pane paint manager: captions and their buttons, the tab
// strips of tabbed containers and auto-hide panels (through two tab paint
// managers), splitter bars and the frames of floating windows, with the
// metrics the layout reads. The themes derive from it.
#pragma once

#include "XTPDockingPaneBase.h"

#include <XTPColorManager.h>
#include <XTPWinThemeWrapper.h>

class CXTPTabPaintManager;
class CXTPDockingPaneCaptionButtons;

class CXTPDockingPanePaintManager : public CCmdTarget
{
public:
    CXTPDockingPanePaintManager();
    virtual ~CXTPDockingPanePaintManager();

    // Overridables.
    virtual void DrawPane(CDC* pDC, CXTPDockingPaneTabbedContainer* pPane, CRect rc);
    virtual void DrawCaption(CDC* pDC, CXTPDockingPaneTabbedContainer* pPane, CRect rc) = 0;
    // Lays the buttons out from the caption's far end and draws them;
    // rcCaption loses the room they take.
    virtual void DrawCaptionButtons(CDC* pDC, CXTPDockingPaneCaptionButtons* pButtons, CRect& rcCaption,
                                    COLORREF clr, int nButtonSize, int nButtonGap, BOOL bVertical = FALSE);
    virtual void DrawCaptionButton(CDC* pDC, CXTPDockingPaneCaptionButton* pButton, COLORREF clrButton);
    virtual void RefreshMetrics();
    virtual void AdjustClientRect(CXTPDockingPaneTabbedContainer* pPane, CRect& rect, BOOL bApply);
    virtual void AdjustCaptionRect(const CXTPDockingPaneTabbedContainer* pPane, CRect& rc);
    virtual CRect GetCaptionGripperRect(const CXTPDockingPaneTabbedContainer* pPane);
    virtual void DrawFloatingFrame(CDC* pDC, CXTPDockingPaneMiniWnd* pPane, CRect rc) {}
    virtual void DrawSplitter(CDC* pDC, CXTPDockingPaneSplitterWnd* pSplitter);
    virtual void DrawCaptionButtonGlyph(CDC* pDC, CXTPDockingPaneCaptionButton* pButton, CPoint pt, COLORREF clr);

    // Colours by theme colour index (0-62), or RGB values above.
    COLORREF GetColor(int nIndex) const;
    void SetColors(int nCount, const int* pIndices, const COLORREF* pValues);
    void SetCaptionFont(LOGFONT* pLogFont, BOOL bUseStandardFont = FALSE);
    // The Windows colour scheme used for the Luna palettes.
    int GetCurrentSystemTheme() const;
    // The pane whose state a caption shows.
    static CXTPDockingPane* AFX_CDECL GetCaptionPane(const CXTPDockingPaneBase* pOwner);
    static BOOL AFX_CDECL IsCaptionPaneEnabled(const CXTPDockingPaneBase* pOwner);
    // Draws or (bMeasure) measures a caption text; answers its length.
    int DrawCaptionText(CDC* pDC, const CString& strTitle, CRect rc, BOOL bVertical, BOOL bMeasure = FALSE);
    // The caption pane's icon in front of the caption text (showCaptionIcons).
    void DrawCaptionIcon(CDC* pDC, const CXTPDockingPaneBase* pOwner, CRect& rcCaption, BOOL bVertical);
    void DrawSplitterGradient(CDC* pDC, CRect rc, const CXTPPaintManagerColorGradient& grc, CWnd* pSite,
                              BOOL bAcross);

    int GetCaptionHeight() const { return m_nCaptionHeight; }
    int GetTabsHeight() const { return m_nTabsHeight; }
    int GetSplitterSize() const { return m_nSplitterSize; }
    CRect GetCaptionMargins() const { return m_rcCaptionMargin; }
    CXTPTabPaintManager* GetPanelPaintManager() const { return m_pPanelPaintManager; }
    CXTPTabPaintManager* GetAutoHidePaintManager() const { return m_pTabPaintManager; }
    CFont* GetCaptionFont() { return &m_fntTitle; }
    CFont* GetVerticalCaptionFont() { return &m_fntTitleVertical; }
    int GetTheme() const { return m_nTheme; }
    void SetTheme(int nTheme) { m_nTheme = nTheme; }

public:
    BOOL m_bBoldCaptionFont;
    BOOL m_bHighlightActiveCaption;
    int m_nSplitterSize;
    BOOL m_bShowCaption;
    BOOL m_bDrawSingleTab;          // always show tabs
    BOOL m_bDrawCaptionIcon;
    CXTPPaintManagerColor m_clrSplitter;
    CXTPPaintManagerColor m_clrSplitterFace;
    CXTPPaintManagerColorGradient m_clrSplitterGradient;
    int m_nCaptionButtonStyle;
    int m_dwSplitterStyle;
    int m_nCaptionHeight;
    int m_nCaptionFontGap;          // caption extra height
    int m_nTabsHeight;
    CFont m_fntTitle;
    CFont m_fntTitleVertical;
    BOOL m_bUseTahomaFont;
    BOOL m_bUseStandardFont;
    CXTPTabPaintManager* m_pPanelPaintManager;
    CXTPTabPaintManager* m_pTabPaintManager;   // auto-hide tabs
    COLORREF m_arrColor[63];
    int m_nTheme;
    CString m_strFontFace;
    CRect m_rcCaptionMargin;
    int m_nLunaColorMode;
    CXTPWinThemeWrapper m_themeToolbar;
    CXTPWinThemeWrapper m_themeExplorer;
    CXTPWinThemeWrapper m_themeButton;
    CXTPWinThemeWrapper m_themeWindow;
    BOOL m_bLunaColors;

protected:
    // One caption button face by the caption button style; answers the glyph
    // colour, or COLORREF_NULL when the face carries its own glyph.
    COLORREF DrawCaptionButtonFace(CDC* pDC, CXTPDockingPaneCaptionButton* pButton, COLORREF clrButton,
                                   BOOL& bShiftGlyph);
    void DrawClassicButtonFace(CDC* pDC, CXTPDockingPaneCaptionButton* pButton, BOOL& bShiftGlyph);
};
