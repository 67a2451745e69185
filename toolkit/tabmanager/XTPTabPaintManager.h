// Tab paint manager: the settings, fonts, layout and drawing of the tab
// strips that use it. The shape and metrics of the tabs come from its
// appearance set, every colour from its colour set; both are strategy
// objects chosen by number.
#pragma once

#include "XTPTabManager.h"
#include <XTPColorManager.h>

// Appearance styles (SetAppearance).
enum XTPTabAppearanceStyle
{
    xtpTabAppearancePropertyPage = 0,
    xtpTabAppearancePropertyPageSelected = 1,
    xtpTabAppearancePropertyPageFlat = 2,
    xtpTabAppearancePropertyPage2003 = 3,
    xtpTabAppearanceStateButtons = 4,
    xtpTabAppearanceVisualStudio = 5,
    xtpTabAppearanceFlat = 6,
    xtpTabAppearanceExcel = 7,
    xtpTabAppearanceVisio = 8,
    xtpTabAppearanceVisualStudio2005 = 9
};

// Colour sets (SetColor).
enum XTPTabColorStyle
{
    xtpTabColorDefault = 1,
    xtpTabColorVisualStudio = 2,
    xtpTabColorOffice2003 = 4,
    xtpTabColorWinXP = 8,
    xtpTabColorWhidbey = 16,
    xtpTabColorOffice2007 = 32
};

// Client frames around the page area.
enum XTPTabClientFrame
{
    xtpTabFrameBorder = 0,
    xtpTabFrameSingleLine = 1,
    xtpTabFrameNone = 2
};

// When item tooltips show.
enum XTPTabToolTipBehaviour
{
    xtpTabToolTipNever = 0,
    xtpTabToolTipAlways = 1,
    xtpTabToolTipShrinkedOnly = 2
};

class CXTPTabPaintManager : public CCmdTarget
{
public:
    class CColorSet;

    // The shape and the metrics of the tabs.
    class CAppearanceSet
    {
    public:
        CAppearanceSet();
        virtual ~CAppearanceSet() {}

        virtual void RefreshMetrics();
        virtual CRect GetHeaderRect(CRect rcControl, const CXTPTabManager* pTabManager);
        virtual CRect GetClientRect(CRect rcControl, const CXTPTabManager* pTabManager);
        virtual CRect GetHeaderMargin() { return m_rcHeaderMargin; }
        virtual CRect GetClientMargin();
        virtual int GetItemLength(CDC* pDC, CXTPTabManagerItem* pItem);
        virtual int GetButtonHeight(const CXTPTabManager* pTabManager);
        virtual CRect GetButtonDrawRect(const CXTPTabManagerItem* pItem);
        virtual void DrawTabControl(CXTPTabManager* pTabManager, CDC* pDC, CRect rcControl);
        virtual CRect FillClient(CDC* pDC, CXTPTabManager* pTabManager);
        virtual void RepositionTabControl(CXTPTabManager* pTabManager, CDC* pDC, CRect rcControl);
        virtual void AdjustClientRect(CXTPTabManager* pTabManager, CRect& rcClient);
        virtual void DrawSingleButton(CDC* pDC, CXTPTabManagerItem* pItem) {}
        virtual void DrawFramePart(CDC* pDC, CRect rc, int nPart);
        virtual int GetSupportedLayouts() { return 31; }
        virtual int GetDefaultColorSet() { return xtpTabColorDefault; }

        CColorSet* GetColorSet() const;
        XTPTabPosition GetPosition(const CXTPTabManager* pTabManager) const { return pTabManager->GetPosition(); }

    public:
        CRect m_rcHeaderMargin;
        int m_nRowMargin;
        int m_nButtonHeight;
        CXTPTabPaintManager* m_pPaintManager;
        BOOL m_bButtonsReverseZOrder;   // items drawn towards the selected one
    };

    class CAppearanceSetPropertyPage : public CAppearanceSet
    {
    public:
        CAppearanceSetPropertyPage();
        virtual CRect GetButtonDrawRect(const CXTPTabManagerItem* pItem);
        virtual CRect GetClientMargin();
        virtual CRect FillClient(CDC* pDC, CXTPTabManager* pTabManager);
        virtual void DrawSingleButton(CDC* pDC, CXTPTabManagerItem* pItem);
        virtual int GetSupportedLayouts() { return 13; }

    protected:
        void DrawTabShape(CDC* pDC, CRect rc, CXTPTabManagerItem* pItem);
    };

    class CAppearanceSetPropertyPageSelected : public CAppearanceSetPropertyPage
    {
    public:
        virtual void DrawSingleButton(CDC* pDC, CXTPTabManagerItem* pItem);
    };

    class CAppearanceSetFlat : public CAppearanceSet
    {
    public:
        CAppearanceSetFlat();
        virtual CRect FillClient(CDC* pDC, CXTPTabManager* pTabManager);
        virtual void DrawSingleButton(CDC* pDC, CXTPTabManagerItem* pItem);
        virtual int GetSupportedLayouts() { return 7; }
        virtual int GetDefaultColorSet() { return xtpTabColorVisualStudio; }
    };

    class CAppearanceSetPropertyPageFlat : public CAppearanceSetFlat
    {
    public:
        CAppearanceSetPropertyPageFlat();
        virtual void DrawSingleButton(CDC* pDC, CXTPTabManagerItem* pItem);
        virtual int GetDefaultColorSet() { return xtpTabColorDefault; }

        BOOL m_bRoundedCorners;   // first flag: corners of the tabs rounded
        BOOL m_bLeftRect;         // second flag: the tab's leading edge drawn straight
    };

    class CAppearanceSetPropertyPage2003 : public CAppearanceSet
    {
    public:
        CAppearanceSetPropertyPage2003();
        virtual CRect GetHeaderMargin();
        virtual CRect GetButtonDrawRect(const CXTPTabManagerItem* pItem);
        virtual CRect FillClient(CDC* pDC, CXTPTabManager* pTabManager);
        virtual void DrawSingleButton(CDC* pDC, CXTPTabManagerItem* pItem);
        virtual int GetSupportedLayouts() { return 21; }
        virtual int GetDefaultColorSet() { return xtpTabColorOffice2003; }

        BOOL m_bDoubleHighlightedBorder;  // the hot tab gets a second border line

    protected:
        // The outline points of a tab of the given draw rectangle, for a top strip.
        virtual int GetTabOutline(CRect rc, CPoint* pts, BOOL bSelected);
        void DrawPolygonTab(CDC* pDC, CXTPTabManagerItem* pItem, CRect rc);
    };

    class CAppearanceSetStateButtons : public CAppearanceSet
    {
    public:
        CAppearanceSetStateButtons();
        virtual CRect FillClient(CDC* pDC, CXTPTabManager* pTabManager);
        virtual void DrawSingleButton(CDC* pDC, CXTPTabManagerItem* pItem);
        virtual int GetDefaultColorSet() { return xtpTabColorVisualStudio; }
    };

    class CAppearanceSetVisualStudio : public CAppearanceSet
    {
    public:
        virtual CRect FillClient(CDC* pDC, CXTPTabManager* pTabManager);
        virtual void DrawSingleButton(CDC* pDC, CXTPTabManagerItem* pItem);
        virtual int GetSupportedLayouts() { return 7; }
        virtual int GetDefaultColorSet() { return xtpTabColorVisualStudio; }
    };

    class CAppearanceSetExcel : public CAppearanceSetFlat
    {
    public:
        CAppearanceSetExcel();
        virtual CRect GetHeaderMargin();
        virtual CRect GetButtonDrawRect(const CXTPTabManagerItem* pItem);
        virtual void DrawSingleButton(CDC* pDC, CXTPTabManagerItem* pItem);
    };

    class CAppearanceSetVisio : public CAppearanceSet
    {
    public:
        CAppearanceSetVisio();
        virtual CRect GetHeaderRect(CRect rcControl, const CXTPTabManager* pTabManager);
        virtual CRect GetClientRect(CRect rcControl, const CXTPTabManager* pTabManager);
        virtual void RepositionTabControl(CXTPTabManager* pTabManager, CDC* pDC, CRect rcControl);
        virtual void AdjustClientRect(CXTPTabManager* pTabManager, CRect& rcClient);
        virtual void DrawTabControl(CXTPTabManager* pTabManager, CDC* pDC, CRect rcControl);
        virtual void DrawSingleButton(CDC* pDC, CXTPTabManagerItem* pItem);
        virtual int GetSupportedLayouts() { return 5; }
    };

    class CAppearanceSetVisualStudio2005 : public CAppearanceSetPropertyPage2003
    {
    public:
        CAppearanceSetVisualStudio2005();
        virtual CRect GetHeaderMargin();
        virtual CRect GetButtonDrawRect(const CXTPTabManagerItem* pItem);

    protected:
        virtual int GetTabOutline(CRect rc, CPoint* pts, BOOL bSelected);
    };

    // Every colour of the strips.
    class CColorSet
    {
    public:
        CColorSet();
        virtual ~CColorSet() {}

        virtual void RefreshMetrics();
        virtual void SetTextColor(CDC* pDC, CXTPTabManagerItem* pItem);
        virtual void FillHeader(CDC* pDC, CRect rc, CXTPTabManager* pTabManager);
        virtual void FillClient(CDC* pDC, CRect rc, CXTPTabManager* pTabManager);
        virtual void FillStateButton(CDC* pDC, CRect rc, CXTPTabManagerItem* pItem);
        virtual void FillItemFace(CDC* pDC, CRect rc, CXTPTabManagerItem* pItem);
        virtual void DrawClientPane(CDC* pDC, CRect rc, CXTPTabManager* pTabManager) {}
        virtual void FillNavigateButton(CDC* pDC, CXTPTabManager::CNavigateButton* pButton, CRect& rc) = 0;
        virtual COLORREF GetItemColor(CXTPTabManagerItem* pItem);
        virtual BOOL IsThemed() { return FALSE; }

        // A gradient across the depth of the strip, the first colour at the
        // outer edge; a first colour of -2 fills with the dithered pattern.
        void GradientFill(CDC* pDC, CRect rc, COLORREF clrFirst, COLORREF clrSecond, XTPTabPosition position);
        void GradientFill(CDC* pDC, CRect rc, const CXTPPaintManagerColorGradient& grc, XTPTabPosition position)
        {
            GradientFill(pDC, rc, grc.clrLight, grc.clrDark, position);
        }

    protected:
        // Pressed and hot faces drawn as 3-D edges (the classic sets).
        void FillNavigateButtonClassic(CDC* pDC, CXTPTabManager::CNavigateButton* pButton, CRect& rc);

    public:
        CXTPPaintManagerColorGradient m_clrHeaderFace;
        CXTPPaintManagerColorGradient m_clrAutoHideFace;
        CXTPPaintManagerColor m_clrFrameBorder;
        CXTPPaintManagerColor m_clrControlFace;
        CXTPPaintManagerColor m_clrPaneFace;
        CXTPPaintManagerColor m_clrButtonHighlight;
        CXTPPaintManagerColor m_clrButtonSelected;
        CXTPPaintManagerColor m_clrButtonHighlighted;
        CXTPPaintManagerColor m_clrButtonPressed;
        CXTPPaintManagerColor m_clrButtonNormal;
        CXTPPaintManagerColor m_clrTextNormal;
        CXTPPaintManagerColor m_clrTextInactive;
        CXTPPaintManagerColor m_clrTextSelected;
        CXTPPaintManagerColor m_clrTextHighlight;
        CXTPPaintManagerColor m_clrTextDisabled;
        CXTPPaintManagerColorGradient m_clrStateHighlight;
        CXTPPaintManagerColorGradient m_clrStateBorder;
        CXTPPaintManagerColor m_csPropertyPage[3];        // light, shadow, dark shadow
        CXTPPaintManagerColor m_csPropertyPage2003[4];    // outlines of the polygon tabs
        CXTPPaintManagerColor m_csNavigateButton[6];      // glyph, disabled glyph, border, face, light edge, dark edge
        CXTPPaintManagerColor m_csNavigateButtonHot[6];
        CXTPTabPaintManager* m_pPaintManager;
    };

    class CColorSetDefault : public CColorSet
    {
    public:
        virtual void RefreshMetrics();
        virtual void FillNavigateButton(CDC* pDC, CXTPTabManager::CNavigateButton* pButton, CRect& rc);
    };

    class CColorSetVisualStudio : public CColorSet
    {
    public:
        virtual void RefreshMetrics();
        virtual void FillNavigateButton(CDC* pDC, CXTPTabManager::CNavigateButton* pButton, CRect& rc);
    };

    class CColorSetOffice2003 : public CColorSetDefault
    {
    public:
        CColorSetOffice2003();
        virtual void RefreshMetrics();
        virtual void FillItemFace(CDC* pDC, CRect rc, CXTPTabManagerItem* pItem);
        virtual void FillNavigateButton(CDC* pDC, CXTPTabManager::CNavigateButton* pButton, CRect& rc);

        // The Office 2003 face: the face colour of the item's state.
        COLORREF GetFaceColor(CXTPTabManagerItem* pItem);
        void FillGradientFace(CDC* pDC, CRect rc, CXTPTabManagerItem* pItem, COLORREF clrFace);

        CXTPPaintManagerColor m_clrLunaAccent;
        BOOL m_bLunaTheme;   // a Luna scheme's colours are applied

    protected:
        // The Luna scheme values (1 blue, 2 olive, 3 silver).
        void ApplyLunaScheme(int nScheme);
    };

    class CColorSetOffice2007 : public CColorSetOffice2003
    {
    public:
        virtual void RefreshMetrics();
    };

    class CColorSetWinXP : public CColorSetDefault
    {
    public:
        virtual void RefreshMetrics();
        virtual void FillItemFace(CDC* pDC, CRect rc, CXTPTabManagerItem* pItem);
        virtual void FillClient(CDC* pDC, CRect rc, CXTPTabManager* pTabManager);
        virtual void FillStateButton(CDC* pDC, CRect rc, CXTPTabManagerItem* pItem);
        virtual void FillNavigateButton(CDC* pDC, CXTPTabManager::CNavigateButton* pButton, CRect& rc);
        virtual void DrawClientPane(CDC* pDC, CRect rc, CXTPTabManager* pTabManager);
        virtual BOOL IsThemed() { return m_themeTab.IsValid(); }

        CXTPWinThemeWrapper m_themeTab;
        CXTPWinThemeWrapper m_themeToolbar;

    protected:
        // Draws a themed part made for a top strip, turned or mirrored for the others.
        void DrawRotatedPart(CDC* pDC, CRect rc, int nPart, int nState, XTPTabPosition position);
    };

    class CColorSetWhidbey : public CColorSet
    {
    public:
        CColorSetWhidbey();
        virtual void RefreshMetrics();
        virtual void FillItemFace(CDC* pDC, CRect rc, CXTPTabManagerItem* pItem);
        virtual void FillNavigateButton(CDC* pDC, CXTPTabManager::CNavigateButton* pButton, CRect& rc);

        BOOL m_bLunaTheme;
        BOOL m_bGradientHeader;   // a themed header: item faces as gradients
    };

public:
    CXTPTabPaintManager();
    virtual ~CXTPTabPaintManager();

    // Overridables.
    virtual void DrawTabControl(CXTPTabManager* pTabManager, CDC* pDC, CRect rcControl);
    virtual void AdjustClientRect(CXTPTabManager* pTabManager, CRect& rcClient);
    virtual void RepositionTabControlEntry(CXTPTabManager* pTabManager, CDC* pDC, CRect rcControl);
    virtual int DrawItemIconAndText(CDC* pDC, CXTPTabManagerItem* pItem, CRect rcItem, BOOL bDraw);
    virtual void RefreshMetrics();
    virtual void OnPropertyChanged();
    virtual void DrawFocusRect(CDC* pDC, CXTPTabManagerItem* pItem, CRect rc);

    // Appearance and colour sets.
    CAppearanceSet* SetAppearance(int nAppearance);
    CAppearanceSet* SetAppearanceSet(CAppearanceSet* pAppearanceSet);
    CAppearanceSet* GetAppearanceSet() const { return m_pAppearanceSet; }
    int GetAppearance() const { return m_nAppearance; }
    CColorSet* SetColor(int nColor);
    CColorSet* SetColorSet(CColorSet* pColorSet);
    CColorSet* GetColorSet() const { return m_pColorSet; }
    int GetColor() const { return m_nColor; }

    XTPTabPosition GetPosition() const { return m_tabPosition; }
    void SetPosition(XTPTabPosition tabPosition);
    XTPTabLayoutStyle GetLayout() const { return m_tabLayout; }
    void SetLayout(XTPTabLayoutStyle tabLayout);

    void SetFontIndirect(LOGFONT* pLogFont, BOOL bUseStandardFont = FALSE);
    CFont* GetFont() { return &m_fntNormal; }
    CFont* GetBoldFont() { return &m_fntBold; }
    CFont* GetVerticalFont() { return &m_fntVerticalNormal; }
    CFont* GetVerticalBoldFont() { return &m_fntVerticalBold; }

    void EnsureVisible(CXTPTabManager* pTabManager, CXTPTabManagerItem* pItem);
    void FillNavigateButton(CDC* pDC, CXTPTabManager::CNavigateButton* pButton, CRect& rc);

    // The strips told about setting changes (not owned).
    void AddAtom(CXTPTabManagerAtom* pAtom);
    void RemoveAtom(CXTPTabManagerAtom* pAtom);

    // The next automatic item colour number; strips sharing this paint
    // manager continue one sequence.
    int TakeAutomaticColor() { return m_nAutomaticColorCounter++; }

    // Grows (or with negative values shrinks) a rectangle by margins given
    // for a top strip and turned for the strip's position.
    static void AFX_CDECL InflateRectForPosition(CRect& rc, const CRect& rcMargin, XTPTabPosition position);
    static void AFX_CDECL DeflateRectForPosition(CRect& rc, const CRect& rcMargin, XTPTabPosition position);
    static BOOL AFX_CDECL IsHorizontalPosition(XTPTabPosition position)
    {
        return position == xtpTabPositionTop || position == xtpTabPositionBottom;
    }

    // The generic layout and painter, used by every appearance set but Visio.
    void RepositionTabControlGeneric(CXTPTabManager* pTabManager, CDC* pDC, CRect rcControl);
    void DrawTabControlGeneric(CXTPTabManager* pTabManager, CDC* pDC, CRect rcControl);
    void DrawRowItems(CXTPTabManager* pTabManager, CDC* pDC, const CRect& rcClipBox, int nRow);
    // The header with the navigate buttons placed (their room taken off).
    CRect RepositionNavigateButtons(CXTPTabManager* pTabManager, CRect rcControl);
    // The caption drawn with an ellipsis in its middle (a path, holding a
    // backslash, is shortened as a path).
    static void AFX_CDECL DrawTextMiddleEllipsis(CDC* pDC, const CString& strText, CRect rc, UINT nFormat);
    // The caption shortened in its middle to fit nAvailable pixels.
    static CString AFX_CDECL FormatMiddleEllipsis(CDC* pDC, const CString& strText, int nAvailable, UINT nFormat);
    // Text in a font turned by 270 degrees (running downwards), centred
    // across the rectangle or against its right edge, shortened with "..."
    // when it is longer than the rectangle is tall.
    static void AFX_CDECL DrawVerticalText(CDC* pDC, const CString& strText, CRect rc, BOOL bCenter);
    // The text as it fits into nRoom pixels: whole, or its longest start
    // followed by "..." (just "..." when nothing more fits).
    static CString AFX_CDECL FitEndEllipsis(CDC* pDC, const CString& strText, int nRoom);

public:
    BOOL m_bHotTracking;
    BOOL m_bShowIcons;
    BOOL m_bBoldSelected;
    BOOL m_bBoldNormal;
    BOOL m_bDisableLunaColors;
    BOOL m_bOneNoteColors;          // use item colours
    int m_clientFrame;
    BOOL m_bStaticFrame;
    CRect m_rcClientMargin;
    CRect m_rcControlMargin;
    CRect m_rcButtonMargin;
    CRect m_rcButtonTextPadding;    // text inset
    BOOL m_bInvertGradient;
    BOOL m_bFillBackground;
    CSize m_szIcon;
    BOOL m_bDrawTextPathEllipsis;   // middle ellipsis
    BOOL m_bDrawTextEndEllipsis;
    BOOL m_bDrawTextNoPrefix;
    UINT m_nDrawTextFormat;
    BOOL m_bDrawTextHidePrefix;     // strip mnemonics
    BOOL m_bMultiRowFixedSelection;
    BOOL m_bMultiRowJustified;
    BOOL m_bDrawFocusRect;
    BOOL m_bShowTabs;               // not read by the strips
    BOOL m_bSelectOnDragOver;
    int m_nButtonExtraLength;
    BOOL m_bSelectOnButtonDown;
    BOOL m_bClearTypeTextQuality;
    BOOL m_bRotateImageOnVerticalDraw;
    BOOL m_bClipHeader;
    int m_nMinTabWidth;
    int m_nMaxTabWidth;
    int m_nFixedTabWidth;
    XTPTabToolTipBehaviour m_toolBehaviour;
    BOOL m_bUseStandardFont;

protected:
    CAppearanceSet* m_pAppearanceSet;
    CColorSet* m_pColorSet;
    int m_nAppearance;
    int m_nColor;
    XTPTabPosition m_tabPosition;
    XTPTabLayoutStyle m_tabLayout;
    CFont m_fntNormal;
    CFont m_fntBold;
    CFont m_fntVerticalNormal;
    CFont m_fntVerticalBold;
    int m_nAutomaticColorCounter;
    CArray<CXTPTabManagerAtom*, CXTPTabManagerAtom*> m_arrAtoms;

private:
    // Layout helpers (XTPTabPaintManagerLayout.cpp).
    void SizeToFit(CXTPTabManager* pTabManager, int nWidth);
    void RepositionMultiRow(CXTPTabManager* pTabManager, CDC* pDC, CRect rcControl);
    int ClampItemLength(int nLength) const;
    int MeasureCompressed(CXTPTabManager* pTabManager, CDC* pDC, CXTPTabManagerItem* pItem);
};

// The automatic colour of entry 0-7 of the table.
COLORREF AFX_CDECL XTPTabAutomaticColor(int nIndex);
