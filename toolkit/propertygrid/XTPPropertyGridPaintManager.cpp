// Drawing of the property grid: the default look and its seven themes.
#include "XTPPropertyGrid.h"
#include "XTPDrawHelpers.h"
#include "XTPImageManager.h"

#include <vssym32.h>

namespace
{
// The looks of a row that the themes choose among.
enum RowLook
{
    rowLookDefault,
    rowLookCool,
    rowLookSimple,
    rowLookDelphi
};

// A one-pixel line in the DC's own pen (no pen is made for each line: rows
// draw several of them and repaints stay quick).
void DrawLine(CDC* pDC, int x0, int y0, int x1, int y1, COLORREF clr)
{
    HDC hDC = pDC->GetSafeHdc();
    HGDIOBJ hOldPen = ::SelectObject(hDC, ::GetStockObject(DC_PEN));
    COLORREF clrOld = ::SetDCPenColor(hDC, clr);
    ::MoveToEx(hDC, x0, y0, NULL);
    ::LineTo(hDC, x1, y1);
    ::SetDCPenColor(hDC, clrOld);
    ::SelectObject(hDC, hOldPen);
}

// A solid rectangle through the DC's own brush. Rows draw many of them, and
// this is several times cheaper than FillSolidRect (a text call) on some
// systems.
void FillSolid(CDC* pDC, int x, int y, int cx, int cy, COLORREF clr)
{
    HDC hDC = pDC->GetSafeHdc();
    HGDIOBJ hOldBrush = ::SelectObject(hDC, ::GetStockObject(DC_BRUSH));
    COLORREF clrOld = ::SetDCBrushColor(hDC, clr);
    ::PatBlt(hDC, x, y, cx, cy, PATCOPY);
    ::SetDCBrushColor(hDC, clrOld);
    ::SelectObject(hDC, hOldBrush);
}

void FillSolid(CDC* pDC, const RECT& rc, COLORREF clr)
{
    FillSolid(pDC, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, clr);
}

// A one-pixel frame, top and left in one colour, bottom and right in the
// other (the pixels Draw3dRect gives).
void Frame3d(CDC* pDC, const RECT& rc, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    const int x = rc.left, y = rc.top, cx = rc.right - rc.left, cy = rc.bottom - rc.top;
    FillSolid(pDC, x, y, cx - 1, 1, clrTopLeft);
    FillSolid(pDC, x, y, 1, cy - 1, clrTopLeft);
    FillSolid(pDC, x + cx - 1, y, 1, cy, clrBottomRight);
    FillSolid(pDC, x, y + cy - 1, cx, 1, clrBottomRight);
}
} // namespace

//////////////////////////////////////////////////////////////////////////
// CXTPPropertyGridItemMetrics

CXTPPropertyGridItemMetrics::CXTPPropertyGridItemMetrics(CXTPPropertyGridPaintManager* pPaintManager)
    : m_nImage(-1), m_uDrawTextFormat(DT_SINGLELINE | DT_VCENTER), m_nMaxLength(0), m_pPaintManager(pPaintManager)
{
}

void CXTPPropertyGridItemMetrics::Reset()
{
    m_clrHelpBack.SetDefaultValue();
    m_clrHelpFore.SetDefaultValue();
    m_clrLine.SetDefaultValue();
    m_clrFore.SetDefaultValue();
    m_clrCategoryFore.SetDefaultValue();
    m_clrBack.SetDefaultValue();
    m_clrReadOnlyFore.SetDefaultValue();
    m_clrVerbFace.SetDefaultValue();
}

//////////////////////////////////////////////////////////////////////////
// CXTPPropertyGridPaintManager

CXTPPropertyGridPaintManager::CXTPPropertyGridPaintManager(CXTPPropertyGrid* pGrid)
    : m_bUseThemedControls(0), m_pGrid(pGrid), m_clrFace(0), m_clrShadow(0), m_nViewPaintFocus(-1), m_clrViewFilled(COLORREF_NULL), m_hViewFilledDC(NULL)
{
    m_pMetrics = new CXTPPropertyGridItemMetrics(this);

    LOGFONT lf;
    ZeroMemory(&lf, sizeof(lf));
    if (!::SystemParametersInfo(SPI_GETICONTITLELOGFONT, sizeof(LOGFONT), &lf, 0))
        ::GetObject(::GetStockObject(DEFAULT_GUI_FONT), sizeof(LOGFONT), &lf);
    lf.lfWeight = FW_NORMAL;
    m_fntVerbNormal.CreateFontIndirect(&lf);
    lf.lfUnderline = TRUE;
    m_fntVerbUnderline.CreateFontIndirect(&lf);
}

CXTPPropertyGridPaintManager::~CXTPPropertyGridPaintManager()
{
    if (m_pMetrics != NULL)
        m_pMetrics->InternalRelease();
}

CXTPPropertyGridItemMetrics* CXTPPropertyGridPaintManager::DetachItemMetrics()
{
    CXTPPropertyGridItemMetrics* pMetrics = m_pMetrics;
    m_pMetrics = NULL;
    return pMetrics;
}

void CXTPPropertyGridPaintManager::AttachItemMetrics(CXTPPropertyGridItemMetrics* pMetrics)
{
    if (pMetrics == NULL)
        return;
    if (m_pMetrics != NULL)
        m_pMetrics->InternalRelease();
    m_pMetrics = pMetrics;
    m_pMetrics->m_pPaintManager = this;
}

void CXTPPropertyGridPaintManager::RefreshMetrics()
{
    RefreshColorManager();
    m_clrFace = GetXTPSysColor(COLOR_3DFACE);
    m_clrShadow = GetXTPSysColor(COLOR_3DSHADOW);

    m_pMetrics->m_clrHelpBack.SetStandardValue(GetXTPSysColor(COLOR_3DFACE));
    m_pMetrics->m_clrHelpFore.SetStandardValue(GetXTPSysColor(COLOR_BTNTEXT));
    // The colour manager keeps 0 in entry 0 of its table, so the scroll-bar
    // colour comes from the system itself.
    m_pMetrics->m_clrLine.SetStandardValue(::GetSysColor(COLOR_SCROLLBAR));
    m_pMetrics->m_clrFore.SetStandardValue(GetXTPSysColor(COLOR_WINDOWTEXT));
    m_pMetrics->m_clrCategoryFore.SetStandardValue(GetXTPSysColor(COLOR_GRAYTEXT));
    m_pMetrics->m_clrBack.SetStandardValue(GetXTPSysColor(COLOR_WINDOW));
    m_pMetrics->m_clrReadOnlyFore.SetStandardValue(GetXTPSysColor(COLOR_GRAYTEXT));
    m_pMetrics->m_clrVerbFace.SetCustomValue(GetXTPSysColor(COLOR_ACTIVECAPTION));

    CWnd* pMainWnd = AfxGetMainWnd();
    HWND hWndMain = pMainWnd != NULL ? pMainWnd->GetSafeHwnd() : NULL;
    m_themeTree.OpenThemeData(hWndMain, L"TREEVIEW");
    m_themeButton.OpenThemeData(hWndMain, L"BUTTON");
    m_themeCombo.OpenThemeData(hWndMain, L"COMBOBOX");
}

//////////////////////////////////////////////////////////////////////////
// Colours and fonts of a row

COLORREF CXTPPropertyGridPaintManager::GetItemTextColor(CXTPPropertyGridItem* pItem, BOOL bValuePart)
{
    if (pItem == NULL)
        return m_pMetrics->m_clrFore;
    CXTPPropertyGridItemMetrics* pMetrics = pItem->GetMetrics(bValuePart, FALSE);
    if (pMetrics != NULL && pMetrics->m_clrFore.GetColor() != COLORREF_NULL)
        return pMetrics->m_clrFore;
    if (pItem->IsCategory())
        return m_pMetrics->m_clrCategoryFore;
    if (pItem->GetReadOnly())
        return m_pMetrics->m_clrReadOnlyFore;
    return m_pMetrics->m_clrFore;
}

COLORREF CXTPPropertyGridPaintManager::GetItemBackColor(CXTPPropertyGridItem* pItem, BOOL bValuePart)
{
    CXTPPropertyGridItemMetrics* pMetrics = pItem != NULL ? pItem->GetMetrics(bValuePart, FALSE) : NULL;
    if (pMetrics != NULL && pMetrics->m_clrBack.GetColor() != COLORREF_NULL)
        return pMetrics->m_clrBack;
    return m_pMetrics->m_clrBack;
}

CFont* CXTPPropertyGridPaintManager::GetItemFont(CXTPPropertyGridItem* pItem, BOOL bValuePart)
{
    if (pItem == NULL)
        return &m_pMetrics->m_xtpFontNormal;
    CXTPPropertyGridItemMetrics* pMetrics = pItem->GetMetrics(bValuePart, FALSE);
    if (pMetrics != NULL && pMetrics->m_xtpFontNormal.GetSafeHandle() != NULL)
        return &pMetrics->m_xtpFontNormal;
    if (pItem->IsCategory())
        return &m_pMetrics->m_xtpFontBold;
    if (bValuePart && m_pGrid != NULL && m_pGrid->IsHighlightChangedItems() && pItem->IsValueChanged())
        return &m_pMetrics->m_xtpFontBold;
    return &m_pMetrics->m_xtpFontNormal;
}

namespace
{
// The text height of the last font measured while a view paints (rows draw
// two texts each, nearly all in one font; the font cannot change while the
// rows are drawn).
struct TextHeightCache
{
    BOOL bActive;
    HDC hDC;
    HGDIOBJ hFont;
    int nHeight;
};
TextHeightCache s_textHeight = { FALSE, NULL, NULL, 0 };

int TextHeight(CDC* pDC)
{
    HDC hDC = pDC->GetSafeHdc();
    HGDIOBJ hFont = ::GetCurrentObject(hDC, OBJ_FONT);
    if (s_textHeight.bActive && s_textHeight.hDC == hDC && s_textHeight.hFont == hFont)
        return s_textHeight.nHeight;
    TEXTMETRIC tm;
    pDC->GetTextMetrics(&tm);
    if (s_textHeight.bActive)
    {
        s_textHeight.hDC = hDC;
        s_textHeight.hFont = hFont;
        s_textHeight.nHeight = tm.tmHeight;
    }
    return tm.tmHeight;
}
} // namespace

void CXTPPropertyGridPaintManager::BeginViewPaint(HWND hWndFocus)
{
    m_nViewPaintFocus = IsFocusInView(hWndFocus) ? 1 : 0;
    s_textHeight.bActive = TRUE;
    s_textHeight.hDC = NULL;
    s_textHeight.hFont = NULL;
}

void CXTPPropertyGridPaintManager::EndViewPaint()
{
    m_nViewPaintFocus = -1;
    m_clrViewFilled = COLORREF_NULL;
    m_hViewFilledDC = NULL;
    s_textHeight.bActive = FALSE;
    s_textHeight.hDC = NULL;
    s_textHeight.hFont = NULL;
}

void CXTPPropertyGridPaintManager::FillRowPart(CDC* pDC, const CRect& rc, COLORREF clr)
{
    // Inside a view paint that began with the view filled in this colour
    // the pixels are already right (not so in a row's own buffer).
    if (m_nViewPaintFocus >= 0 && clr == m_clrViewFilled && pDC->GetSafeHdc() == m_hViewFilledDC)
        return;
    FillSolid(pDC, rc, clr);
}

BOOL CXTPPropertyGridPaintManager::IsViewFocused() const
{
    if (m_nViewPaintFocus >= 0)
        return m_nViewPaintFocus;
    return IsFocusInView(::GetFocus());
}

BOOL CXTPPropertyGridPaintManager::IsFocusInView(HWND hWndFocus) const
{
    if (m_pGrid == NULL)
        return FALSE;
    HWND hWndView = m_pGrid->GetGridView().GetSafeHwnd();
    if (hWndView == NULL || hWndFocus == NULL)
        return FALSE;
    return hWndFocus == hWndView || ::IsChild(hWndView, hWndFocus) ||
           hWndFocus == m_pGrid->GetInplaceList().GetSafeHwnd();
}

//////////////////////////////////////////////////////////////////////////
// Grid, view and border

void CXTPPropertyGridPaintManager::DrawBorder(CDC* pDC, RECT& rc, BOOL bAdjust)
{
    int nStyle = m_pGrid != NULL ? m_pGrid->GetBorderStyle() : xtpGridBorderStaticEdge;
    if (bAdjust)
    {
        if (nStyle == xtpGridBorderClientEdge)
            ::InflateRect(&rc, -2, -2);
        else if (nStyle == xtpGridBorderFlat || nStyle == xtpGridBorderStaticEdge)
            ::InflateRect(&rc, -1, -1);
        return;
    }
    if (pDC == NULL)
        return;
    switch (nStyle)
    {
    case xtpGridBorderFlat:
        pDC->Draw3dRect(&rc, GetXTPSysColor(COLOR_WINDOWFRAME), GetXTPSysColor(COLOR_WINDOWFRAME));
        break;
    case xtpGridBorderStaticEdge:
        pDC->Draw3dRect(&rc, m_clrShadow, m_clrShadow);
        break;
    case xtpGridBorderClientEdge:
    {
        CRect rcInner(rc);
        pDC->Draw3dRect(rcInner, GetXTPSysColor(COLOR_3DSHADOW), GetXTPSysColor(COLOR_3DHIGHLIGHT));
        rcInner.DeflateRect(1, 1);
        pDC->Draw3dRect(rcInner, GetXTPSysColor(COLOR_3DDKSHADOW), GetXTPSysColor(COLOR_3DFACE));
        break;
    }
    default:
        break;
    }
}

void CXTPPropertyGridPaintManager::FillView(CDC* pDC)
{
    if (m_pGrid == NULL)
        return;
    CXTPClientRect rc(&m_pGrid->GetGridView());
    FillSolid(pDC, rc, m_pMetrics->m_clrBack);
    m_clrViewFilled = m_pMetrics->m_clrBack;
    m_hViewFilledDC = pDC->GetSafeHdc();
}

void CXTPPropertyGridPaintManager::FillPropertyGrid(CDC* pDC)
{
    if (m_pGrid == NULL)
        return;
    CXTPClientRect rcClient(m_pGrid);
    pDC->FillSolidRect(rcClient, m_clrFace);
    pDC->SetBkMode(TRANSPARENT);

    if (m_pGrid->IsHelpVisible())
    {
        CRect rcHelp = m_pGrid->GetHelpRect();
        pDC->FillSolidRect(rcHelp, m_pMetrics->m_clrHelpBack);
        DrawBorder(pDC, rcHelp, FALSE);

        CXTPPropertyGridItem* pItem = m_pGrid->GetSelectedItem();
        if (pItem != NULL)
        {
            pDC->SetTextColor(m_pMetrics->m_clrHelpFore);
            CRect rcCaption(rcHelp);
            rcCaption.DeflateRect(6, 3);
            CXTPFontDC font(pDC, &m_pMetrics->m_xtpFontBold);
            pDC->DrawText(pItem->GetCaption(), rcCaption, DT_SINGLELINE | DT_NOPREFIX);

            CString strDescription = pItem->GetDescription();
            if (!strDescription.IsEmpty())
            {
                font.SetFont(&m_pMetrics->m_xtpFontNormal);
                CRect rcMeasure(0, 0, rcCaption.Width(), 0);
                pDC->DrawText(pItem->GetCaption(), rcMeasure, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
                CRect rcDescription(rcHelp.left + 6, rcHelp.top + rcMeasure.Height() + 6, rcHelp.right - 6,
                                    rcHelp.bottom - 3);
                pDC->DrawText(strDescription, rcDescription, DT_WORDBREAK | DT_NOPREFIX);
            }
        }
    }

    if (!m_pGrid->GetVerbs()->IsEmpty())
    {
        CRect rcVerbs = m_pGrid->GetVerbsRect();
        pDC->FillSolidRect(rcVerbs, m_pMetrics->m_clrHelpBack);
        DrawBorder(pDC, rcVerbs, FALSE);
        DrawVerbs(pDC, rcVerbs, CPoint(0, 0), FALSE);
    }
}

int CXTPPropertyGridPaintManager::DrawVerbs(CDC* pDC, CRect rcVerbs, CPoint ptHitTest, BOOL bHitTest)
{
    if (m_pGrid == NULL || pDC == NULL)
        return -1;
    CXTPPropertyGridVerbs* pVerbs = m_pGrid->GetVerbs();
    CRect rc(rcVerbs);
    rc.DeflateRect(6, 4);

    CXTPFontDC font(pDC, &m_fntVerbUnderline);
    int nLineHeight = pDC->GetTextExtent("XXX", 3).cy;
    BOOL bGridFocused = ::GetFocus() == m_pGrid->GetSafeHwnd();
    int x = rc.left;
    int y = rc.top;

    for (int i = 0; i < pVerbs->GetCount(); i++)
    {
        CXTPPropertyGridVerb* pVerb = pVerbs->GetAt(i);
        CString strText = pVerb->GetCaption();
        BOOL bFirstPart = TRUE;
        while (!strText.IsEmpty())
        {
            if (y + nLineHeight > rc.bottom)
                return -1;
            int cxText = pDC->GetTextExtent(strText).cx;
            int nRemain = rc.right - x;
            CString strPart;
            if (cxText <= nRemain)
            {
                strPart = strText;
                strText.Empty();
            }
            else
            {
                int nChars = cxText > 0 ? (strText.GetLength() - 1) * nRemain / cxText : 0;
                if (nChars >= strText.GetLength())
                    nChars = strText.GetLength() - 1;
                int nBreak = nChars;
                while (nBreak > 0 && strText[nBreak] != ' ' && strText[nBreak] != ',' && strText[nBreak] != '-')
                    nBreak--;
                if (nBreak > 0)
                {
                    strPart = strText.Left(nBreak + 1);
                    strText = strText.Mid(nBreak + 1);
                }
                else if (x == rc.left)
                    return -1;  // nothing fits even at the start of a line
                else
                {
                    x = rc.left;
                    y += nLineHeight;
                    continue;
                }
            }

            int cxPart = pDC->GetTextExtent(strPart).cx;
            CRect rcPart(x, y, x + cxPart, y + nLineHeight);
            if (bFirstPart)
                pVerb->SetPart(rcPart);
            bFirstPart = FALSE;
            if (bHitTest)
            {
                if (rcPart.PtInRect(ptHitTest))
                    return i;
            }
            else
            {
                pDC->SetTextColor(m_pMetrics->m_clrVerbFace);
                pDC->DrawText(strPart, rcPart, DT_SINGLELINE | DT_NOPREFIX);
                if (bGridFocused && m_pGrid->GetFocusedVerb() == i)
                    pDC->DrawFocusRect(rcPart);
            }
            x += cxPart;
            if (!strText.IsEmpty())
            {
                x = rc.left;
                y += nLineHeight;
            }
        }

        if (i < pVerbs->GetCount() - 1)
        {
            font.SetFont(&m_fntVerbNormal);
            CSize szComma = pDC->GetTextExtent(",", 1);
            if (!bHitTest)
            {
                pDC->SetTextColor(m_pMetrics->m_clrHelpFore);
                pDC->TextOut(x, y, ",", 1);
            }
            x += szComma.cx + 8;
            font.SetFont(&m_fntVerbUnderline);
        }
    }
    return -1;
}

//////////////////////////////////////////////////////////////////////////
// Rows

CRect CXTPPropertyGridPaintManager::GetExpandButtonRect(CXTPPropertyGridItem* pItem, CRect rcRow) const
{
    int x = rcRow.left + (pItem->GetIndent() - (pItem->IsCategory() ? 0 : 1)) * XTP_PGI_EXPAND_BORDER;
    int cy = rcRow.CenterPoint().y;
    return CRect(x + 2, cy - 4, x + 11, cy + 5);
}

int CXTPPropertyGridPaintManager::DrawMetricsImage(CDC* pDC, CXTPPropertyGridItemMetrics* pMetrics, CRect rc)
{
    if (pMetrics == NULL || pMetrics->m_nImage == -1 || m_pGrid == NULL)
        return 0;
    CXTPImageManagerIcon* pIcon = m_pGrid->GetGridView().GetImageManager()->GetImage((UINT)pMetrics->m_nImage, 0);
    if (pIcon == NULL)
        return 0;
    int cx = pIcon->GetWidth();
    int cy = std::min(pIcon->GetHeight(), rc.Height());
    pIcon->DrawNormal(pDC, CPoint(rc.left - 2, rc.CenterPoint().y - cy / 2), CSize(cx, cy));
    return cx + 5;
}

void AFX_CDECL CXTPPropertyGridPaintManager::DrawSingleLineText(CDC* pDC, const CString& strText, const CRect& rc)
{
    // Drawn without DrawText's layout work: rows are drawn on every repaint.
    pDC->ExtTextOut(rc.left, rc.top + (rc.Height() - TextHeight(pDC)) / 2, ETO_CLIPPED, rc, strText,
                    strText.GetLength(), NULL);
}

void CXTPPropertyGridPaintManager::DrawRowText(CDC* pDC, const CString& strText, CRect rc, UINT nFormat)
{
    if ((nFormat & ~(UINT)DT_NOPREFIX) == (DT_SINGLELINE | DT_VCENTER))
        DrawSingleLineText(pDC, strText, rc);
    else
        pDC->DrawText(strText, rc, nFormat | DT_NOPREFIX);
}

void CXTPPropertyGridPaintManager::AdjustItemValueRect(CXTPPropertyGridItem* pItem, CRect& rc)
{
    CXTPPropertyGridItemMetrics* pMetrics = pItem->GetMetrics(TRUE, FALSE);
    if (pMetrics == NULL || pMetrics->m_nImage == -1 || m_pGrid == NULL)
        return;
    CXTPImageManagerIcon* pIcon = m_pGrid->GetGridView().GetImageManager()->GetImage((UINT)pMetrics->m_nImage, 0);
    if (pIcon != NULL)
        rc.left += pIcon->GetWidth() + 5;
}

void CXTPPropertyGridPaintManager::AdjustItemCaptionRect(CXTPPropertyGridItem* pItem, CRect& rc)
{
    CXTPPropertyGridItemMetrics* pMetrics = pItem->GetMetrics(FALSE, FALSE);
    if (pMetrics == NULL || pMetrics->m_nImage == -1 || m_pGrid == NULL)
        return;
    CXTPImageManagerIcon* pIcon = m_pGrid->GetGridView().GetImageManager()->GetImage((UINT)pMetrics->m_nImage, 0);
    if (pIcon != NULL)
        rc.left += pIcon->GetWidth() + 5;
}

void CXTPPropertyGridPaintManager::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    CXTPPropertyGridItem* pItem = (CXTPPropertyGridItem*)lpMeasureItemStruct->itemData;
    if (pItem != NULL)
        pItem->MeasureItem(lpMeasureItemStruct);
}

void CXTPPropertyGridPaintManager::FillCategoryRow(CDC* pDC, CRect rc)
{
    FillSolid(pDC, rc, m_pMetrics->m_clrLine);
}

void CXTPPropertyGridPaintManager::DrawItemValue(CDC& dc, CXTPPropertyGridItem* pItem, CRect rcValue)
{
    FillRowPart(&dc, rcValue, GetItemBackColor(pItem, TRUE));
    dc.SetTextColor(GetItemTextColor(pItem, TRUE));
    dc.SetBkMode(TRANSPARENT);
    CXTPFontDC font(&dc, GetItemFont(pItem, TRUE));

    CRect rcText(rcValue);
    rcText.left += 4;
    rcText.DeflateRect(0, 1);
    if (pItem->OnDrawItemValue(dc, rcText))
        return;

    CXTPPropertyGridItemMetrics* pMetrics = pItem->GetMetrics(TRUE, FALSE);
    rcText.left += DrawMetricsImage(&dc, pMetrics, rcText);
    UINT nFormat = pMetrics != NULL ? pMetrics->m_uDrawTextFormat : (DT_SINGLELINE | DT_VCENTER);
    if (pItem->GetMultiLinesCount() > 1)
        nFormat = (nFormat & ~DT_SINGLELINE) | DT_WORDBREAK;
    DrawRowText(&dc, pItem->GetViewValue(), rcText, nFormat);
}

void CXTPPropertyGridPaintManager::DrawItemCaption(CDC& dc, CXTPPropertyGridItem* pItem, CRect rcCaption)
{
    CXTPPropertyGridItemMetrics* pMetrics = pItem->GetMetrics(FALSE, FALSE);
    CRect rcText(rcCaption);
    rcText.left += DrawMetricsImage(&dc, pMetrics, rcText);
    UINT nFormat = pMetrics != NULL ? pMetrics->m_uDrawTextFormat : (DT_SINGLELINE | DT_VCENTER);
    DrawRowText(&dc, pItem->GetCaption(), rcText, nFormat);
}

void CXTPPropertyGridPaintManager::DrawInplaceButtons(CDC& dc, CXTPPropertyGridItem* pItem, CRect rcValue)
{
    if (!pItem->IsInplaceButtonVisible())
        return;
    CXTPPropertyGridInplaceButtons* pButtons = pItem->GetInplaceButtons();
    int nRight = rcValue.right;
    for (int i = pButtons->GetCount() - 1; i >= 0; i--)
    {
        CXTPPropertyGridInplaceButton* pButton = pButtons->GetAt(i);
        CRect rcButton(nRight - pButton->GetWidth(), rcValue.top, nRight, rcValue.bottom);
        pButton->OnDraw(&dc, rcButton);
        nRight -= pButton->GetWidth();
    }
}

void CXTPPropertyGridPaintManager::DrawInplaceButton(CDC* pDC, CXTPPropertyGridInplaceButton* pButton)
{
    CRect rc = pButton->GetRect();
    CXTPPropertyGridItem* pItem = pButton->GetItem();
    BOOL bHot = pButton->IsHot();
    BOOL bPressed = pButton->IsPressed() && bHot;
    BOOL bEnabled = pItem == NULL || !pItem->GetReadOnly();
    BOOL bCombo = pButton->GetID() == XTP_ID_PROPERTYGRID_COMBOBUTTON;

    BOOL bThemed = FALSE;
    if (m_bUseThemedControls == 1)
    {
        int nState = !bEnabled ? 4 : bPressed ? 3 : bHot ? 2 : 1;
        if (bCombo && m_themeCombo.IsValid())
            bThemed = SUCCEEDED(m_themeCombo.DrawThemeBackground(pDC->GetSafeHdc(), CP_DROPDOWNBUTTON, nState, &rc, NULL));
        else if (!bCombo && m_themeButton.IsValid())
            bThemed = SUCCEEDED(m_themeButton.DrawThemeBackground(pDC->GetSafeHdc(), BP_PUSHBUTTON, nState, &rc, NULL));
    }
    if (!bThemed)
    {
        if (m_bUseThemedControls == 2)
        {
            CXTPColorManager* pColors = GetColorManager();
            pDC->FillSolidRect(rc, pColors->GetColor(bPressed ? XPCOLOR_HIGHLIGHT_PUSHED
                                                              : bHot ? XPCOLOR_HIGHLIGHT : XPCOLOR_TOOLBAR_FACE));
            COLORREF clrFrame = bPressed ? pColors->GetColor(XPCOLOR_HIGHLIGHT_PUSHED_BORDER)
                                         : bHot ? pColors->GetColor(XPCOLOR_HIGHLIGHT_BORDER)
                                                : GetXTPSysColor(COLOR_3DSHADOW);
            pDC->Draw3dRect(rc, clrFrame, clrFrame);
        }
        else
        {
            pDC->FillSolidRect(rc, GetXTPSysColor(COLOR_3DFACE));
            if (bPressed)
                pDC->Draw3dRect(rc, GetXTPSysColor(COLOR_3DSHADOW), GetXTPSysColor(COLOR_3DSHADOW));
            else
            {
                pDC->Draw3dRect(rc, GetXTPSysColor(COLOR_3DFACE), GetXTPSysColor(COLOR_3DDKSHADOW));
                CRect rcInner(rc);
                rcInner.DeflateRect(1, 1);
                pDC->Draw3dRect(rcInner, GetXTPSysColor(COLOR_WINDOW), GetXTPSysColor(COLOR_3DSHADOW));
            }
        }
    }

    // The content, one pixel further while pressed.
    CPoint ptCenter = rc.CenterPoint();
    if (bPressed)
        ptCenter.Offset(1, 1);
    COLORREF clrGlyph = GetXTPSysColor(bEnabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
    CXTPImageManagerIcon* pIcon = pButton->GetImage();
    if (bCombo)
    {
        if (!bThemed)
        {
            CXTPPenDC pen(pDC->GetSafeHdc(), clrGlyph);
            CXTPBrushDC brush(pDC->GetSafeHdc(), clrGlyph);
            CXTPDrawHelpers::DrawTriangle(pDC, CPoint(ptCenter.x - 3, ptCenter.y - 1),
                                          CPoint(ptCenter.x + 3, ptCenter.y - 1), CPoint(ptCenter.x, ptCenter.y + 2));
        }
    }
    else if (!pButton->GetCaption().IsEmpty())
    {
        CXTPFontDC font(pDC, GetItemFont(pItem, TRUE), clrGlyph);
        pDC->SetBkMode(TRANSPARENT);
        CRect rcText(rc);
        if (bPressed)
            rcText.OffsetRect(1, 1);
        pDC->DrawText(pButton->GetCaption(), rcText, DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_NOPREFIX);
    }
    else if (pIcon != NULL)
    {
        CSize sz(pIcon->GetWidth(), pIcon->GetHeight());
        pIcon->DrawNormal(pDC, CPoint(ptCenter.x - sz.cx / 2, ptCenter.y - sz.cy / 2), sz);
    }
    else if (pButton->GetID() == XTP_ID_PROPERTYGRID_EXPANDBUTTON)
    {
        for (int i = -1; i <= 1; i++)
            pDC->FillSolidRect(ptCenter.x - 1 + i * 4, ptCenter.y + 2, 2, 2, clrGlyph);
    }

    if (pButton->IsFocused())
    {
        CRect rcFocus(rc);
        rcFocus.DeflateRect(2, 2);
        pDC->SetTextColor(GetXTPSysColor(COLOR_BTNTEXT));
        pDC->SetBkColor(GetXTPSysColor(COLOR_3DFACE));
        pDC->DrawFocusRect(rcFocus);
    }
}

void CXTPPropertyGridPaintManager::DrawExpandButton(CDC& dc, CXTPPropertyGridItem* pItem, CRect rcCaption)
{
    CRect rc = GetExpandButtonRect(pItem, rcCaption);
    if (m_bUseThemedControls == 1 && m_themeTree.IsValid() &&
        SUCCEEDED(m_themeTree.DrawThemeBackground(dc.GetSafeHdc(), TVP_GLYPH,
                                                  pItem->IsExpanded() ? GLPS_OPENED : GLPS_CLOSED, &rc, NULL)))
        return;

    COLORREF clrFrame = m_pMetrics->m_clrFore;
    if (!pItem->IsCategory())
        FillSolid(&dc, rc, m_pMetrics->m_clrBack);
    Frame3d(&dc, rc, clrFrame, clrFrame);
    int cx = rc.left + 4;
    int cy = rc.top + 4;
    DrawLine(&dc, cx - 2, cy, cx + 3, cy, clrFrame);
    if (!pItem->IsExpanded())
        DrawLine(&dc, cx, cy - 2, cx, cy + 3, clrFrame);
}

void CXTPPropertyGridPaintManager::DrawInplaceListItem(CDC* pDC, CXTPPropertyGridItemConstraint* pConstraint, CRect rc,
                                                       BOOL bSelected)
{
    pDC->SetBkMode(TRANSPARENT);
    pDC->FillSolidRect(rc, GetXTPSysColor(bSelected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    pDC->SetTextColor(GetXTPSysColor(bSelected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    CRect rcText(rc);
    rcText.left += 2;
    CXTPImageManagerIcon* pIcon = pConstraint->GetImage();
    if (pIcon != NULL)
    {
        CSize sz(pIcon->GetWidth(), std::min(pIcon->GetHeight(), rc.Height()));
        pIcon->DrawNormal(pDC, CPoint(rcText.left, rc.CenterPoint().y - sz.cy / 2), sz);
        rcText.left += sz.cx + 2;
    }
    pDC->DrawText(pConstraint->m_strConstraint, rcText, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

void CXTPPropertyGridPaintManager::DrawItem(PDRAWITEMSTRUCT lpDrawItemStruct)
{
    DrawItemStandard(lpDrawItemStruct, rowLookDefault);
}

void CXTPPropertyGridPaintManager::DrawItemStandard(PDRAWITEMSTRUCT lpDrawItemStruct, int nLook)
{
    CXTPPropertyGridItem* pItem = (CXTPPropertyGridItem*)lpDrawItemStruct->itemData;
    if (pItem == NULL || m_pGrid == NULL)
        return;
    CXTPPropertyGridView& wndView = m_pGrid->GetGridView();
    CDC* pTargetDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    CRect rcItem(lpDrawItemStruct->rcItem);

    // The Delphi look draws each row through a buffer of its own.
    CXTPBufferDC* pBuffer = nLook == rowLookDelphi ? new CXTPBufferDC(pTargetDC->GetSafeHdc(), rcItem) : NULL;
    CDC* pDC = pBuffer != NULL ? pBuffer : pTargetDC;

    int x0 = rcItem.left;
    int nDivider = x0 + wndView.GetDividerPos();
    COLORREF clrLine = m_pMetrics->m_clrLine;
    BOOL bSelected = (lpDrawItemStruct->itemState & ODS_SELECTED) != 0;
    BOOL bFocused = IsViewFocused();

    CXTPFontDC font(pDC, GetItemFont(pItem, FALSE));
    pDC->SetBkMode(TRANSPARENT);
    if (nLook == rowLookDelphi)
        FillSolid(pDC, rcItem, GetItemBackColor(pItem, FALSE));

    if (pItem->IsCategory())
    {
        if (nLook == rowLookSimple || nLook == rowLookDelphi)
            FillSolid(pDC, rcItem, GetItemBackColor(pItem, FALSE));
        else
            FillCategoryRow(pDC, rcItem);
        CRect rcText(x0 + pItem->GetIndent() * XTP_PGI_EXPAND_BORDER + 17, rcItem.top, rcItem.right, rcItem.bottom);
        pDC->SetTextColor(GetItemTextColor(pItem, FALSE));
        pDC->DrawText(pItem->GetCaption(), rcText, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        if (bSelected && bFocused)
        {
            CRect rcFocus(rcText);
            pDC->DrawText(pItem->GetCaption(), rcFocus, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
            rcFocus.top = rcItem.top + 1;
            rcFocus.bottom = rcItem.bottom - 1;
            rcFocus.InflateRect(2, 0);
            pDC->SetTextColor(GetXTPSysColor(COLOR_WINDOWTEXT));
            pDC->SetBkColor(GetXTPSysColor(COLOR_WINDOW));
            pDC->DrawFocusRect(rcFocus);
        }
        if (nLook == rowLookCool)
            DrawLine(pDC, x0 + pItem->GetIndent() * XTP_PGI_EXPAND_BORDER + 12, rcItem.top, rcItem.right, rcItem.top,
                     m_clrShadow);
    }
    else
    {
        CRect rcValue(nDivider, rcItem.top, rcItem.right, rcItem.bottom - 1);
        DrawItemValue(*pDC, pItem, rcValue);

        CRect rcCaption(x0, rcItem.top, nDivider, rcItem.bottom - 1);
        COLORREF clrText = GetItemTextColor(pItem, FALSE);
        if (bSelected && nLook != rowLookDelphi)
        {
            if (bFocused)
            {
                FillSolid(pDC, rcCaption, GetXTPSysColor(COLOR_HIGHLIGHT));
                clrText = GetXTPSysColor(COLOR_HIGHLIGHTTEXT);
            }
            else
                FillSolid(pDC, rcCaption, clrLine);
        }
        else
            FillRowPart(pDC, rcCaption, GetItemBackColor(pItem, FALSE));

        // The margins of the ancestor categories, or for the simple look the
        // caption area up to the row's glyph column.
        if (nLook == rowLookSimple)
        {
            int nGlyph = x0 + (pItem->GetIndent() - 1) * XTP_PGI_EXPAND_BORDER;
            if (nGlyph > x0)
                FillSolid(pDC, x0, rcItem.top, nGlyph - x0, rcItem.Height(), clrLine);
        }
        else
        {
            for (CXTPPropertyGridItem* pParent = pItem->GetParentItem(); pParent != NULL;
                 pParent = pParent->GetParentItem())
            {
                if (!pParent->IsCategory())
                    continue;
                int xMargin = x0 + pParent->GetIndent() * XTP_PGI_EXPAND_BORDER;
                FillSolid(pDC, xMargin, rcItem.top, XTP_PGI_EXPAND_BORDER, rcItem.Height(), clrLine);
                if (nLook == rowLookCool)
                    DrawLine(pDC, xMargin + 13, rcItem.top, xMargin + 13, rcItem.bottom, m_clrShadow);
            }
        }

        if (nLook == rowLookDelphi)
        {
            DrawLine(pDC, nDivider - 1, rcItem.top, nDivider - 1, rcItem.bottom, GetXTPSysColor(COLOR_3DSHADOW));
            DrawLine(pDC, nDivider, rcItem.top, nDivider, rcItem.bottom, GetXTPSysColor(COLOR_3DHIGHLIGHT));
            if (bSelected)
            {
                CRect rcFrame(rcItem);
                pDC->Draw3dRect(rcFrame, GetItemTextColor(pItem, FALSE), GetXTPSysColor(COLOR_3DHIGHLIGHT));
            }
            else
            {
                COLORREF clrDot = GetXTPSysColor(COLOR_3DSHADOW);
                for (int x = rcItem.left; x < rcItem.right; x += 2)
                    pDC->SetPixel(x, rcItem.bottom - 1, clrDot);
            }
        }
        else
        {
            DrawLine(pDC, x0, rcItem.bottom - 1, rcItem.right, rcItem.bottom - 1, clrLine);
            DrawLine(pDC, nDivider, rcItem.top, nDivider, rcItem.bottom - 1, clrLine);
        }

        pDC->SetTextColor(clrText);
        CRect rcCaptionText(x0 + pItem->GetIndent() * XTP_PGI_EXPAND_BORDER + 3, rcItem.top, nDivider - 1,
                            rcItem.bottom - 1);
        DrawItemCaption(*pDC, pItem, rcCaptionText);

        if (bSelected || m_pGrid->GetShowInplaceButtonsAlways())
            DrawInplaceButtons(*pDC, pItem, rcValue);
    }

    // A line under the row where the next row is a category.
    CXTPPropertyGridItem* pNext = wndView.GetItem((int)lpDrawItemStruct->itemID + 1);
    if (pNext != NULL && pNext->IsCategory() && pNext->IsVisible() && nLook != rowLookSimple)
    {
        DrawLine(pDC, x0 + pNext->GetIndent() * XTP_PGI_EXPAND_BORDER, rcItem.bottom - 1, rcItem.right,
                 rcItem.bottom - 1, m_clrFace);
    }
    if (nLook == rowLookCool && !pItem->IsCategory() && (pNext == NULL || pNext->IsCategory()))
    {
        // The last row of a category group closes its box.
        CXTPPropertyGridItem* pCategory = pItem->GetParentItem();
        while (pCategory != NULL && !pCategory->IsCategory())
            pCategory = pCategory->GetParentItem();
        int xFrom = pCategory != NULL ? x0 + pCategory->GetIndent() * XTP_PGI_EXPAND_BORDER : x0;
        DrawLine(pDC, xFrom, rcItem.bottom - 1, rcItem.right, rcItem.bottom - 1, m_clrShadow);
    }
    if (nLook == rowLookSimple && pNext == NULL)
        DrawLine(pDC, x0, rcItem.bottom - 1, rcItem.right, rcItem.bottom - 1, clrLine);

    if (pItem->HasChilds())
    {
        int nSaved = pDC->SaveDC();
        pDC->IntersectClipRect(rcItem);
        DrawExpandButton(*pDC, pItem, rcItem);
        pDC->RestoreDC(nSaved);
    }
    delete pBuffer;
}

//////////////////////////////////////////////////////////////////////////
// Themes

namespace XTPPropertyGridPaintThemes
{
CXTPPropertyGridNativeXPTheme::CXTPPropertyGridNativeXPTheme(CXTPPropertyGrid* pGrid)
    : CXTPPropertyGridPaintManager(pGrid)
{
    m_bUseThemedControls = 1;
}

void CXTPPropertyGridNativeXPTheme::RefreshMetrics()
{
    CXTPPropertyGridPaintManager::RefreshMetrics();
    switch (GetColorManager()->GetCurrentSystemTheme())
    {
    case xtpSystemThemeBlue:
    case xtpSystemThemeSilver:
        m_clrShadow = RGB(127, 157, 185);
        break;
    case xtpSystemThemeOlive:
        m_clrShadow = RGB(164, 185, 127);
        break;
    default:
        break;
    }
}

CXTPPropertyGridOffice2003Theme::CXTPPropertyGridOffice2003Theme(CXTPPropertyGrid* pGrid)
    : CXTPPropertyGridPaintManager(pGrid), m_bLunaTheme(FALSE)
{
    m_bUseThemedControls = 1;
}

void CXTPPropertyGridOffice2003Theme::RefreshMetrics()
{
    CXTPPropertyGridPaintManager::RefreshMetrics();
    m_bLunaTheme = FALSE;
    CXTPColorManager* pColors = GetColorManager();
    if (pColors->IsLunaColorsDisabled())
        return;

    COLORREF clrFace, clrBorder, clrLine;
    switch (pColors->GetCurrentSystemTheme())
    {
    case xtpSystemThemeBlue:
        clrFace = RGB(221, 236, 254);
        clrBorder = RGB(123, 164, 224);
        clrLine = RGB(169, 199, 240);
        break;
    case xtpSystemThemeOlive:
        clrFace = RGB(243, 242, 231);
        clrBorder = RGB(188, 187, 177);
        clrLine = RGB(197, 212, 159);
        break;
    case xtpSystemThemeSilver:
        clrFace = RGB(238, 238, 244);
        clrBorder = RGB(161, 160, 187);
        clrLine = RGB(192, 192, 211);
        break;
    default:
        return;
    }
    m_clrFace = clrFace;
    m_clrShadow = clrBorder;
    m_pMetrics->m_clrHelpBack.SetStandardValue(clrFace);
    m_pMetrics->m_clrLine.SetStandardValue(clrLine);
    m_pMetrics->m_clrCategoryFore.SetStandardValue(RGB(0, 0, 0));
    m_bLunaTheme = TRUE;
}

CXTPPropertyGridCoolTheme::CXTPPropertyGridCoolTheme(CXTPPropertyGrid* pGrid)
    : CXTPPropertyGridPaintManager(pGrid)
{
}

void CXTPPropertyGridCoolTheme::RefreshMetrics()
{
    CXTPPropertyGridPaintManager::RefreshMetrics();
    m_pMetrics->m_clrLine.SetStandardValue(GetXTPSysColor(COLOR_3DFACE));
}

void CXTPPropertyGridCoolTheme::DrawItem(PDRAWITEMSTRUCT lpDrawItemStruct)
{
    DrawItemStandard(lpDrawItemStruct, rowLookCool);
}

CXTPPropertyGridSimpleTheme::CXTPPropertyGridSimpleTheme(CXTPPropertyGrid* pGrid)
    : CXTPPropertyGridPaintManager(pGrid)
{
}

void CXTPPropertyGridSimpleTheme::RefreshMetrics()
{
    CXTPPropertyGridPaintManager::RefreshMetrics();
    m_pMetrics->m_clrLine.SetStandardValue(GetXTPSysColor(COLOR_3DFACE));
}

void CXTPPropertyGridSimpleTheme::DrawItem(PDRAWITEMSTRUCT lpDrawItemStruct)
{
    DrawItemStandard(lpDrawItemStruct, rowLookSimple);
}

CXTPPropertyGridDelphiTheme::CXTPPropertyGridDelphiTheme(CXTPPropertyGrid* pGrid)
    : CXTPPropertyGridPaintManager(pGrid)
{
}

void CXTPPropertyGridDelphiTheme::RefreshMetrics()
{
    CXTPPropertyGridPaintManager::RefreshMetrics();
    m_pMetrics->m_clrBack.SetStandardValue(GetXTPSysColor(COLOR_3DFACE));
    m_pMetrics->m_clrFore.SetStandardValue(RGB(0, 0, 128));
}

void CXTPPropertyGridDelphiTheme::DrawItem(PDRAWITEMSTRUCT lpDrawItemStruct)
{
    DrawItemStandard(lpDrawItemStruct, rowLookDelphi);
}

CXTPPropertyGridWhidbeyTheme::CXTPPropertyGridWhidbeyTheme(CXTPPropertyGrid* pGrid)
    : CXTPPropertyGridPaintManager(pGrid)
{
    m_bUseThemedControls = 1;
}

void CXTPPropertyGridWhidbeyTheme::RefreshMetrics()
{
    CXTPPropertyGridPaintManager::RefreshMetrics();
    m_pMetrics->m_clrLine.SetStandardValue(GetXTPSysColor(COLOR_3DFACE));
    m_pMetrics->m_clrCategoryFore.SetStandardValue(GetXTPSysColor(COLOR_BTNTEXT));
    m_clrShadow = GetXTPSysColor(XPCOLOR_STATICFRAME);
}

void CXTPPropertyGridWhidbeyTheme::DrawExpandButton(CDC& dc, CXTPPropertyGridItem* pItem, CRect rcCaption)
{
    CRect rc = GetExpandButtonRect(pItem, rcCaption);
    int x = rc.left;
    int y = rc.top;
    COLORREF clrShadow = GetXTPSysColor(COLOR_3DSHADOW);
    dc.FillSolidRect(x + 1, y + 1, 7, 7, GetXTPSysColor(COLOR_3DFACE));
    dc.FillSolidRect(x + 1, y + 1, 7, 4, RGB(255, 255, 255));
    dc.FillSolidRect(x + 1, y, 7, 1, clrShadow);
    dc.FillSolidRect(x + 1, y + 8, 7, 1, clrShadow);
    dc.FillSolidRect(x, y + 1, 1, 7, clrShadow);
    dc.FillSolidRect(x + 8, y + 1, 1, 7, clrShadow);
    dc.FillSolidRect(x + 2, y + 4, 5, 1, RGB(0, 0, 0));
    if (!pItem->IsExpanded())
        dc.FillSolidRect(x + 4, y + 2, 1, 5, RGB(0, 0, 0));
}

void CXTPPropertyGridWhidbeyTheme::FillCategoryRow(CDC* pDC, CRect rc)
{
    COLORREF clrLine = m_pMetrics->m_clrLine;
    pDC->FillSolidRect(rc, clrLine);
    CRect rcGradient(rc.left, rc.bottom - 2, rc.right, rc.bottom - 1);
    XTPDrawHelpers()->GradientFill(pDC, rcGradient, clrLine, GetXTPSysColor(COLOR_3DHIGHLIGHT), TRUE);
}

CXTPPropertyGridOfficeXP::CXTPPropertyGridOfficeXP(CXTPPropertyGrid* pGrid)
    : CXTPPropertyGridPaintManager(pGrid)
{
    m_bUseThemedControls = 2;
}

void CXTPPropertyGridOfficeXP::RefreshMetrics()
{
    CXTPPropertyGridPaintManager::RefreshMetrics();
    m_pMetrics->m_clrCategoryFore.SetStandardValue(GetXTPSysColor(COLOR_BTNTEXT));
    m_pMetrics->m_clrLine.SetStandardValue(GetXTPSysColor(XPCOLOR_TOOLBAR_FACE));
}
} // namespace XTPPropertyGridPaintThemes
