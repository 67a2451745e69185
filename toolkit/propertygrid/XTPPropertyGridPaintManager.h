// The property grid's paint manager: every pixel of a grid (the view, each
// row, the in-place buttons, the drop-down entries, the help and verb panes)
// and the fonts and colours of each row. The default look and seven themes.
#pragma once

#include "XTPPropertyGridDefines.h"
#include "XTPColorManager.h"
#include "XTPWinThemeWrapper.h"

class CXTPPropertyGrid;
class CXTPPropertyGridItem;
class CXTPPropertyGridItemConstraint;
class CXTPPropertyGridInplaceButton;
class CXTPPropertyGridPaintManager;

// Fonts and colours of the grid, or of one item's caption or value.
class CXTPPropertyGridItemMetrics : public CCmdTarget
{
public:
    explicit CXTPPropertyGridItemMetrics(CXTPPropertyGridPaintManager* pPaintManager);

    // Clears every custom colour.
    virtual void Reset();

    CFont m_xtpFontNormal;
    CFont m_xtpFontBold;
    int m_nImage;                           // image id drawn before the text; -1 none
    CXTPPaintManagerColor m_clrHelpBack;    // colour 1: help and verb pane background
    CXTPPaintManagerColor m_clrHelpFore;    // colour 2: help text, verb separators
    CXTPPaintManagerColor m_clrLine;        // colour 3: category rows, margins, lines
    CXTPPaintManagerColor m_clrFore;        // colour 4: item text
    CXTPPaintManagerColor m_clrCategoryFore;// colour 5: category text
    CXTPPaintManagerColor m_clrBack;        // colour 6: view background
    CXTPPaintManagerColor m_clrReadOnlyFore;// colour 7: read-only item text
    CXTPPaintManagerColor m_clrVerbFace;    // colour 8: verb link text
    UINT m_uDrawTextFormat;
    int m_nMaxLength;                       // in-place edit limit; 0 = the control's default
    CXTPPropertyGridPaintManager* m_pPaintManager;
};

class CXTPPropertyGridPaintManager
{
public:
    explicit CXTPPropertyGridPaintManager(CXTPPropertyGrid* pGrid);
    virtual ~CXTPPropertyGridPaintManager();

    virtual COLORREF GetItemTextColor(CXTPPropertyGridItem* pItem, BOOL bValuePart);
    virtual COLORREF GetItemBackColor(CXTPPropertyGridItem* pItem, BOOL bValuePart);
    virtual CFont* GetItemFont(CXTPPropertyGridItem* pItem, BOOL bValuePart);
    virtual void FillPropertyGrid(CDC* pDC);
    virtual void FillView(CDC* pDC);
    virtual void DrawBorder(CDC* pDC, RECT& rc, BOOL bAdjust);
    virtual void DrawItem(PDRAWITEMSTRUCT lpDrawItemStruct);
    virtual void DrawInplaceListItem(CDC* pDC, CXTPPropertyGridItemConstraint* pConstraint, CRect rc,
                                     BOOL bSelected);
    virtual void AdjustItemValueRect(CXTPPropertyGridItem* pItem, CRect& rc);
    virtual void AdjustItemCaptionRect(CXTPPropertyGridItem* pItem, CRect& rc);
    virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    virtual void DrawInplaceButton(CDC* pDC, CXTPPropertyGridInplaceButton* pButton);
    virtual void RefreshMetrics();
    virtual void DrawExpandButton(CDC& dc, CXTPPropertyGridItem* pItem, CRect rcCaption);
    virtual void FillCategoryRow(CDC* pDC, CRect rc);
    virtual void DrawItemValue(CDC& dc, CXTPPropertyGridItem* pItem, CRect rcValue);
    virtual void DrawItemCaption(CDC& dc, CXTPPropertyGridItem* pItem, CRect rcCaption);
    virtual void DrawInplaceButtons(CDC& dc, CXTPPropertyGridItem* pItem, CRect rcValue);

    CXTPPropertyGridItemMetrics* GetItemMetrics() const { return m_pMetrics; }
    // Hands the metrics over to another paint manager (theme change).
    CXTPPropertyGridItemMetrics* DetachItemMetrics();
    void AttachItemMetrics(CXTPPropertyGridItemMetrics* pMetrics);
    CXTPPropertyGrid* GetGrid() const { return m_pGrid; }
    int GetVisualStyleMode() const { return m_bUseThemedControls; }
    COLORREF GetFaceColor() const { return m_clrFace; }
    COLORREF GetBorderColor() const { return m_clrShadow; }
    CFont* GetNormalFont() { return &m_pMetrics->m_xtpFontNormal; }
    CFont* GetBoldFont() { return &m_pMetrics->m_xtpFontBold; }
    // Lays the verbs out in the pane; draws them unless only hit-testing.
    // Returns the index of the verb under the point in hit-test mode, else -1.
    int DrawVerbs(CDC* pDC, CRect rcVerbs, CPoint ptHitTest, BOOL bHitTest);

    // One line of text in a rectangle (DT_SINGLELINE | DT_VCENTER, no
    // prefix), as rows draw their captions and values.
    static void AFX_CDECL DrawSingleLineText(CDC* pDC, const CString& strText, const CRect& rc);

    // Bracket the drawing of the view's rows: the focus is read once for all
    // of them (each reading is a round trip to the window server), the text
    // height of each font is measured once, and where FillView has just
    // filled the view with the background colour, rows of that colour leave
    // their background as it is.
    // hWndFocus is the window with the keyboard focus (the view reads it
    // once for its own use too).
    void BeginViewPaint(HWND hWndFocus);
    void EndViewPaint();

    // The three visual-style handles ("TREEVIEW", "BUTTON", "COMBOBOX").
    CXTPWinThemeWrapper m_themeTree;
    CXTPWinThemeWrapper m_themeButton;
    CXTPWinThemeWrapper m_themeCombo;

protected:
    // The grid's view background colour (custom colour when set).
    COLORREF GetViewBackColor() const { return m_pMetrics->m_clrBack; }
    // Draws a row's text in its rectangle with the item's format.
    void DrawRowText(CDC* pDC, const CString& strText, CRect rc, UINT nFormat);
    // The rectangle of the expand glyph of a row.
    CRect GetExpandButtonRect(CXTPPropertyGridItem* pItem, CRect rcRow) const;
    // The standard look of a row, shared by the themes that keep it.
    void DrawItemStandard(PDRAWITEMSTRUCT lpDrawItemStruct, int nLook);
    // The image of item metrics drawn before a text; returns its width + 5.
    int DrawMetricsImage(CDC* pDC, CXTPPropertyGridItemMetrics* pMetrics, CRect rc);
    // TRUE while the keyboard focus is in the view, its children or its popups.
    BOOL IsViewFocused() const;
    BOOL IsFocusInView(HWND hWndFocus) const;

    int m_bUseThemedControls;     // 0 classic, 1 visual styles, 2 flat buttons
    CXTPPropertyGrid* m_pGrid;
    CFont m_fntVerbUnderline;
    CFont m_fntVerbNormal;
    CXTPPropertyGridItemMetrics* m_pMetrics;
    COLORREF m_clrFace;
    COLORREF m_clrShadow;
    int m_nViewPaintFocus;        // the focus read by BeginViewPaint, -1 outside it
    COLORREF m_clrViewFilled;     // the colour FillView filled the view with, COLORREF_NULL when none
    HDC m_hViewFilledDC;          // and the DC it filled
    // Fills a row's part unless the view paint has already filled it with that colour.
    void FillRowPart(CDC* pDC, const CRect& rc, COLORREF clr);
};

namespace XTPPropertyGridPaintThemes
{
class CXTPPropertyGridNativeXPTheme : public CXTPPropertyGridPaintManager
{
public:
    explicit CXTPPropertyGridNativeXPTheme(CXTPPropertyGrid* pGrid);
    virtual void RefreshMetrics();
};

class CXTPPropertyGridOffice2003Theme : public CXTPPropertyGridPaintManager
{
public:
    explicit CXTPPropertyGridOffice2003Theme(CXTPPropertyGrid* pGrid);
    virtual void RefreshMetrics();
    BOOL m_bLunaTheme;    // the scheme colours were applied
};

class CXTPPropertyGridCoolTheme : public CXTPPropertyGridPaintManager
{
public:
    explicit CXTPPropertyGridCoolTheme(CXTPPropertyGrid* pGrid);
    virtual void RefreshMetrics();
    virtual void DrawItem(PDRAWITEMSTRUCT lpDrawItemStruct);
};

class CXTPPropertyGridSimpleTheme : public CXTPPropertyGridPaintManager
{
public:
    explicit CXTPPropertyGridSimpleTheme(CXTPPropertyGrid* pGrid);
    virtual void RefreshMetrics();
    virtual void DrawItem(PDRAWITEMSTRUCT lpDrawItemStruct);
};

class CXTPPropertyGridDelphiTheme : public CXTPPropertyGridPaintManager
{
public:
    explicit CXTPPropertyGridDelphiTheme(CXTPPropertyGrid* pGrid);
    virtual void RefreshMetrics();
    virtual void DrawItem(PDRAWITEMSTRUCT lpDrawItemStruct);
};

class CXTPPropertyGridWhidbeyTheme : public CXTPPropertyGridPaintManager
{
public:
    explicit CXTPPropertyGridWhidbeyTheme(CXTPPropertyGrid* pGrid);
    virtual void RefreshMetrics();
    virtual void DrawExpandButton(CDC& dc, CXTPPropertyGridItem* pItem, CRect rcCaption);
    virtual void FillCategoryRow(CDC* pDC, CRect rc);
};

class CXTPPropertyGridOfficeXP : public CXTPPropertyGridPaintManager
{
public:
    explicit CXTPPropertyGridOfficeXP(CXTPPropertyGrid* pGrid);
    virtual void RefreshMetrics();
};
} // namespace XTPPropertyGridPaintThemes

using namespace XTPPropertyGridPaintThemes;
