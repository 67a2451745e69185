// The popup showing a tab's groups while the ribbon is minimised.
#pragma once

#include "XTPPopupBar.h"
#include "XTPRibbonBar.h"
#include "XTPRibbonScrollableBar.h"

// The popup showing a tab's groups while the ribbon is minimised.
class CXTPRibbonTabPopupToolBar : public CXTPPopupToolBar, public CXTPRibbonScrollableBar
{
    DECLARE_DYNAMIC(CXTPRibbonTabPopupToolBar)
public:
    explicit CXTPRibbonTabPopupToolBar(CXTPRibbonTab* pRibbonTab);
    virtual ~CXTPRibbonTabPopupToolBar();
    virtual BOOL IsOwnControl(CXTPControl* pControl) const { return XTPIsRibbonOwnControl(pControl); }

    virtual CSize CalcDynamicLayout(int nLength, DWORD dwMode);
    virtual CRect CalcPopupRect(CSize sz);
    virtual void DrawCommandBar(CDC* pDC, CRect rcClipBox);
    virtual CSize GetButtonSize() const;
    virtual CRect GetBorders() { return CRect(0, 0, 0, 0); }
    virtual void OnGroupsScroll(BOOL bScrollLeft);
    virtual CRect GetGroupsRect() const { return m_rcGroups; }
    virtual CXTPRibbonTab* GetShownTab() const { return m_pRibbonTab; }
    virtual void CreateKeyboardTips();

public:
    CXTPRibbonBar* m_pRibbonBar;
    CXTPRibbonTab* m_pRibbonTab;    // the private copy
    CRect m_rcGroups;
    CPoint m_ptPopup;
};
