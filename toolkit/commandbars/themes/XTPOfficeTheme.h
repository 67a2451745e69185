// The flat Office command-bar theme: flat menu bar, tinted and framed hot,
// pressed and checked controls, popup bars with an icon column and a border
// that opens towards the control that opened them. Every colour is an index
// of the paint manager's colour table (the toolkit colours 30-61).
#pragma once

#include "XTPPaintManager.h"

namespace XTPPaintThemes
{
class CXTPOfficeTheme : public CXTPPaintManager
{
public:
    CXTPOfficeTheme();
    virtual ~CXTPOfficeTheme();

    virtual CSize DrawPopupBarControl(CDC* pDC, CXTPControl* pButton, BOOL bDraw);
    virtual void DrawSplitButtonFrame(CDC* pDC, CXTPControl* pButton, CRect rcButton);
    virtual CSize DrawControlComboBox(CDC* pDC, CXTPControlComboBox* pControlCombo, BOOL bDraw);
    virtual CSize DrawControlEdit(CDC* pDC, CXTPControlEdit* pControlEdit, BOOL bDraw);
    virtual CSize DrawListBoxControl(CDC* pDC, CXTPControl* pButton, CRect rc, BOOL bSelected, BOOL bEnabled,
                                     CXTPCommandBars* pCommandBars);
    virtual void FillCommandBar(CDC* pDC, CXTPCommandBar* pBar);
    virtual COLORREF GetRectangleTextColor(BOOL bSelected, BOOL bPressed, BOOL bEnabled, BOOL bChecked,
                                           BOOL bPopuped, int barType, int barPosition);
    virtual void DrawRectangle(CDC* pDC, CRect rc, BOOL bSelected, BOOL bPressed, BOOL bEnabled, BOOL bChecked,
                               BOOL bPopuped, int barType, int barPosition);
    virtual CSize DrawCommandBarGripper(CDC* pDC, CXTPCommandBar* pBar, BOOL bDraw = TRUE);
    virtual CSize DrawCommandBarSeparator(CDC* pDC, CXTPCommandBar* pBar, CXTPControl* pControl, BOOL bDraw = TRUE);
    virtual void AdjustExcludeRect(CRect& rc, CXTPControl* pControl, BOOL bVertical);
    virtual void DrawStatusBarPaneBorder(CDC* pDC, CRect rc, BOOL bGripperPane);
    virtual CSize DrawTearOffGripper(CDC* pDC, CRect rcGripper, BOOL bHot, BOOL bPressed, BOOL bDraw);
    virtual void DrawImage(CDC* pDC, CPoint pt, CSize sz, CXTPImageManagerIcon* pImage, BOOL bSelected,
                           BOOL bPressed, BOOL bEnabled, BOOL bChecked, BOOL bPopuped, BOOL bToolBarImage);
    virtual CSize DrawDialogBarGripper(CDC* pDC, CXTPCommandBar* pBar, BOOL bDraw);
    virtual CSize DrawCheckBoxMark(CDC* pDC, CRect rc, BOOL bDraw, BOOL bSelected, BOOL bPressed, int nChecked,
                                   BOOL bEnabled);
    virtual CSize DrawRadioButtonMark(CDC* pDC, CRect rc, BOOL bDraw, BOOL bSelected, BOOL bPressed, int nChecked,
                                      BOOL bEnabled);
    virtual void FillPopupBarGripper(CDC* pDC, int x, int y, int cx, int cy, BOOL bExpanded);
    virtual int BaseTheme();

    // Added by the Office family, in this order.
    virtual void DrawDropDownButton(CDC* pDC, CXTPControl* pControl);
    virtual void DrawControlPopupGlyph(CDC* pDC, CXTPControl* pControl);
    virtual void DrawControlLabelBackground(CDC* pDC, CRect rc);

protected:
    // Fills, in a colour, the edge of a popup bar that touches the control
    // that opened it, so that the popup's border opens towards the control.
    void FillPopupJoin(CDC* pDC, CXTPCommandBar* pBar, COLORREF clr);
    // The frame and fill colours of an unchecked check or radio mark.
    void GetMarkColors(BOOL bSelected, BOOL bPressed, BOOL bEnabled, int& nFrame, int& nFill) const;
};
} // namespace XTPPaintThemes
