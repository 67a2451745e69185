// The property-grid row that edits one colour of an appearance profile: a
// swatch followed by the colour as text ("red; green; blue"), typed in place
// or chosen through the colour dialog behind its "..." button. The text form
// is defined here once, for the row and for every owner that parses a
// changed row.
#pragma once

#include "XTPPropertyGrid.h"

// "%i; %i; %i" of the red, green and blue bytes.
CString AFXAPI FormatColorText(COLORREF clr);
// Three numbers separated by ';' (missing ones read as 0, parts past the
// third ignored), each read like atoi; 255 or more gives 255, a smaller
// number its low 8 bits (so -1 gives 255).
COLORREF AFXAPI ParseColorText(const char* pszText);
COLORREF AFXAPI ParseColorText(CString strText);

class CRookXTPPropertyGridItemColor : public CXTPPropertyGridItem
{
public:
    CRookXTPPropertyGridItemColor(CString strCaption, COLORREF clr, COLORREF* pBindColor = NULL);

    // The value rectangle less the swatch: the editor starts after it.
    virtual CRect GetValueRect();
    // Any text ends up in the normal form ("300;0;0" is "255; 0; 0").
    virtual void SetValue(CString strValue);
    virtual BOOL OnDrawItemValue(CDC& dc, CRect rcValue);
    // The "..." button: the colour dialog, and a chosen colour becomes the value.
    virtual void OnInplaceButtonDown(CXTPPropertyGridInplaceButton* pButton);

    COLORREF GetColor() const { return m_clrValue; }

    // The dialog that picks a colour: TRUE and the chosen colour, or FALSE
    // when cancelled. It is the toolkit's colour dialog; tests replace it.
    // Returns the previous one; NULL restores the colour dialog.
    typedef BOOL(AFXAPI* PFNCHOOSECOLOR)(COLORREF clrCurrent, CWnd* pParentWnd, COLORREF& clrChosen);
    static PFNCHOOSECOLOR AFXAPI SetColorChooser(PFNCHOOSECOLOR pfnChooser);

protected:
    COLORREF m_clrValue;
    COLORREF* m_pBindColor;
};
