// The classic command-bar paint theme: system colours and raised or sunken
// 3-D edges. It is theme 0 of the theme factory and the base of the native
// visual-styles theme.
#pragma once

#include "XTPPaintManager.h"

namespace XTPPaintThemes
{
class CXTPDefaultTheme : public CXTPPaintManager
{
public:
    CXTPDefaultTheme();
    virtual ~CXTPDefaultTheme();

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
    virtual void RefreshMetrics();
    virtual CSize DrawExpandOrHideButton(CDC* pDC, int nKind, CXTPControl* pButton, CXTPCommandBar* pBar,
                                         BOOL bDraw, LPVOID lpParam);
    virtual CRect GetCommandBarBorders(CXTPCommandBar* pBar);
    virtual CSize DrawTearOffGripper(CDC* pDC, CRect rcGripper, BOOL bHot, BOOL bPressed, BOOL bDraw);
    virtual void DrawImage(CDC* pDC, CPoint pt, CSize sz, CXTPImageManagerIcon* pImage, BOOL bSelected,
                           BOOL bPressed, BOOL bEnabled, BOOL bChecked, BOOL bPopuped, BOOL bToolBarImage);
    virtual CSize DrawDialogBarGripper(CDC* pDC, CXTPCommandBar* pBar, BOOL bDraw);
    virtual int BaseTheme();
    virtual CSize GetPopupBarIconColumnSize(CXTPCommandBar* pBar);

    // Added by this family, in this order.
    virtual void DrawControlEditFrame(CDC* pDC, CRect rc, BOOL bEnabled, BOOL bSelected);
    virtual void DrawControlComboBoxButton(CDC* pDC, CRect rcBtn, BOOL bEnabled, BOOL bSelected, BOOL bDropped);
    virtual void DrawEditSpinButtons(CDC* pDC, CXTPControlEdit* pControlEdit);

    // Fills a rectangle with the checked-button checkerboard of button face
    // and highlight.
    void FillCheckerboard(CDC* pDC, CRect rc);

    int m_nMenuTextColor;       // colour index of enabled popup captions, arrows and checks (18)
};
} // namespace XTPPaintThemes
