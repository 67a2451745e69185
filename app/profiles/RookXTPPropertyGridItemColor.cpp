// The colour row of the profile grids and the text form of a colour.
#include "RookXTPPropertyGridItemColor.h"
#include "XTColorDialog.h"
#include "XTPDCHelpers.h"

#include <stdlib.h>

namespace
{
// One colour byte from its text: read like atoi (strtol, which saturates
// instead of overflowing on very long numbers); 255 or more is 255, a
// smaller number keeps its low 8 bits.
int ParseColorByte(const CString& strPart)
{
    long nValue = strtol(strPart, NULL, 10);
    if (nValue >= 255)
        return 255;
    return (int)(nValue & 0xFF);
}

// The toolkit's colour dialog: the row's colour as both the new and the
// current colour, the swatch in a 3-D frame.
BOOL AFXAPI ChooseWithColorDialog(COLORREF clrCurrent, CWnd* pParentWnd, COLORREF& clrChosen)
{
    CXTColorDialog dlg(clrCurrent, clrCurrent, CPS_XT_SHOW3DSELECTION, pParentWnd);
    if (dlg.DoModal() != IDOK)
        return FALSE;
    clrChosen = dlg.GetColor();
    return TRUE;
}

CRookXTPPropertyGridItemColor::PFNCHOOSECOLOR s_pfnChooseColor = &ChooseWithColorDialog;
} // namespace

CString AFXAPI FormatColorText(COLORREF clr)
{
    CString strText;
    strText.Format("%i; %i; %i", (int)GetRValue(clr), (int)GetGValue(clr), (int)GetBValue(clr));
    return strText;
}

COLORREF AFXAPI ParseColorText(const char* pszText)
{
    CString strText(pszText != NULL ? pszText : "");
    CString strParts[3];
    for (int i = 0; i < 3; i++)
        AfxExtractSubString(strParts[i], strText, i, ';');
    return RGB(ParseColorByte(strParts[0]), ParseColorByte(strParts[1]), ParseColorByte(strParts[2]));
}

COLORREF AFXAPI ParseColorText(CString strText)
{
    return ParseColorText((LPCSTR)strText);
}

CRookXTPPropertyGridItemColor::PFNCHOOSECOLOR AFXAPI CRookXTPPropertyGridItemColor::SetColorChooser(
    PFNCHOOSECOLOR pfnChooser)
{
    PFNCHOOSECOLOR pfnOld = s_pfnChooseColor;
    s_pfnChooseColor = pfnChooser != NULL ? pfnChooser : &ChooseWithColorDialog;
    return pfnOld;
}

CRookXTPPropertyGridItemColor::CRookXTPPropertyGridItemColor(CString strCaption, COLORREF clr,
                                                             COLORREF* pBindColor)
    : CXTPPropertyGridItem(strCaption), m_clrValue(clr), m_pBindColor(pBindColor)
{
    if (m_pBindColor != NULL)
        *m_pBindColor = clr;
    CXTPPropertyGridItem::SetValue(FormatColorText(clr));
    SetFlags(xtpPropertyGridItemEdit | xtpPropertyGridItemExpandButton);
}

CRect CRookXTPPropertyGridItemColor::GetValueRect()
{
    CRect rc = CXTPPropertyGridItem::GetValueRect();
    rc.left += 25;
    return rc;
}

void CRookXTPPropertyGridItemColor::SetValue(CString strValue)
{
    m_clrValue = ParseColorText(strValue);
    if (m_pBindColor != NULL)
        *m_pBindColor = m_clrValue;
    CXTPPropertyGridItem::SetValue(FormatColorText(m_clrValue));
}

BOOL CRookXTPPropertyGridItemColor::OnDrawItemValue(CDC& dc, CRect rcValue)
{
    {
        // The swatch: framed in the text colour, filled with the row's colour,
        // through the DC's own pen and brush (no GDI objects made per row).
        HDC hDC = dc.GetSafeHdc();
        HGDIOBJ hOldPen = ::SelectObject(hDC, ::GetStockObject(DC_PEN));
        HGDIOBJ hOldBrush = ::SelectObject(hDC, ::GetStockObject(DC_BRUSH));
        COLORREF clrOldPen = ::SetDCPenColor(hDC, dc.GetTextColor());
        COLORREF clrOldBrush = ::SetDCBrushColor(hDC, m_clrValue);
        dc.Rectangle(rcValue.left - 2, rcValue.top + 1, rcValue.left + 18, rcValue.bottom - 1);
        ::SetDCPenColor(hDC, clrOldPen);
        ::SetDCBrushColor(hDC, clrOldBrush);
        ::SelectObject(hDC, hOldBrush);
        ::SelectObject(hDC, hOldPen);
    }
    CRect rcText(rcValue.left + 25, rcValue.top, rcValue.right, rcValue.bottom);
    CXTPPropertyGridPaintManager::DrawSingleLineText(&dc, GetValue(), rcText);
    return TRUE;
}

void CRookXTPPropertyGridItemColor::OnInplaceButtonDown(CXTPPropertyGridInplaceButton* /*pButton*/)
{
    // A read-only row shows no button; a key press must not reach the dialog either.
    if (GetReadOnly())
        return;
    COLORREF clrChosen = m_clrValue;
    if (!s_pfnChooseColor(m_clrValue, GetGridView(), clrChosen))
        return;
    OnValueChanged(FormatColorText(clrChosen));
}
