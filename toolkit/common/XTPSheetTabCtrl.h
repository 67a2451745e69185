// XTPSheetTabCtrl.h - the tab control of a property sheet, painted around
// the current page only.
#ifndef XTPSHEETTABCTRL_H
#define XTPSHEETTABCTRL_H

#include <afxwin.h>
#include <afxcmn.h>
#include <afxpropsheet.h>

// Wine's tab control stretches its pane picture under the whole pane on
// every paint, although the page covers nearly all of it. Subclassed over a
// sheet's tab control, this paints only the tabs and the frame strips that
// show around the page.
class CXTPSheetTabCtrl : public CTabCtrl
{
    DECLARE_DYNAMIC(CXTPSheetTabCtrl)
public:
    // The client rectangle the current page covers (empty when no page is
    // shown over the tab control).
    CRect GetPageRect() const;

    // Subclasses the tab control of pSheet; FALSE (and traced) when it
    // cannot, the tab control then paints as before.
    BOOL AttachToSheet(CPropertySheet* pSheet);

protected:
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()
};

#endif // XTPSHEETTABCTRL_H
