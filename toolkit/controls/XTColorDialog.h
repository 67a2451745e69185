// The colour dialog: a property sheet titled "Colors" with a "Standard" page
// (the hexagon picker) and a "Custom" page (spectrum, luminance bar and
// numeric fields), and beside them a swatch of the new colour above the
// current one. The pages and the sheet keep each other up to date through
// message 0x2742; the chosen colour is read after DoModal returns IDOK.
#pragma once

#include "XTColorPageCustom.h"
#include "XTColorPageStandard.h"
#include "XTPSheetTabCtrl.h"

// Options of the colour dialog.
#define CPS_XT_SHOWHEXVALUE 0x0020   // a read-only hex edit under the buttons
#define CPS_XT_SHOW3DSELECTION 0x0040   // the swatch in a 3-D frame

// The sheet's tab control. Its pane is drawn by the theme as one stretched
// picture, slow to stretch under the whole page although the page covers it:
// only the parts of the tab control the current page leaves visible are
// painted, each clipped on its own.
// The colour dialog's tab control: painted around the page only.
class CXTColorDialogTab : public CXTPSheetTabCtrl
{
    DECLARE_DYNAMIC(CXTColorDialogTab)
};

class CXTColorDialog : public CPropertySheet
{
    DECLARE_DYNAMIC(CXTColorDialog)
public:
    CXTColorDialog(COLORREF clrNew, COLORREF clrCurrent, DWORD dwFlags = 0, CWnd* pWndParent = NULL);
    virtual ~CXTColorDialog();

    // Adds the page; a dialog template of the page's id held by the
    // toolkit's resource manager is used from memory.
    void AddPage(CPropertyPage* pPage);

    // Stores the new colour and shows it; with bNotify every page that has
    // a window follows (pages not shown yet follow when they are shown).
    void SetNewColor(COLORREF clr, BOOL bNotify = TRUE);
    void SetCurrentColor(COLORREF clr);
    // The chosen colour (the public field m_clrNew).
    COLORREF GetColor() const { return m_clrNew; }
    COLORREF GetCurrentColor() const { return m_clrCurrent; }

    // "Hex=RRGGBB": two hex digits per channel; a small red takes a blank
    // after "=".
    static CString AFX_CDECL FormatHex(COLORREF clr);

    CXTColorPageStandard* GetStandardPage() const { return m_pPageStandard; }
    CXTColorPageCustom* GetCustomPage() const { return m_pPageCustom; }

    // The swatch's box (client coordinates), as painting places it.
    CRect GetSwatchRect();
    // The swatch with its frame and its two labels, as WM_PAINT draws it.
    void DrawSwatch(CDC* pDC);

    virtual BOOL OnInitDialog();

public:
    DWORD m_dwStyle;         // the constructor's options
    CEdit m_editHex;         // id 101, only with CPS_XT_SHOWHEXVALUE
    CRect m_rcNew;           // the new colour's half of the swatch
    CRect m_rcCurrent;       // the current colour's half
    COLORREF m_clrNew;
    COLORREF m_clrCurrent;

protected:
    void LayoutControls();
    void FillNewColor();

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnPaint();
    afx_msg void OnPrintClient(CDC* pDC, UINT nFlags);
    DECLARE_MESSAGE_MAP()

    CXTColorPageStandard* m_pPageStandard;
    CXTColorPageCustom* m_pPageCustom;
    BOOL m_bLaidOut;
    CXTColorDialogTab m_wndTab;   // the sheet's tab control, subclassed
};
