// The quick-access popups: the customise button at the end of the
// quick-access toolbar, the more-controls button with its popup toolbar, and
// the entries of the customise menu's command list.
#pragma once

#include "XTPControlButton.h"
#include "XTPControlPopup.h"
#include "XTPPopupBar.h"
#include "XTPRibbonBar.h"

// The quick-access customise button at the end of the quick-access toolbar.
class CXTPRibbonBarControlQuickAccessPopup : public CXTPControlPopup
{
    DECLARE_DYNCREATE(CXTPRibbonBarControlQuickAccessPopup)
public:
    CXTPRibbonBarControlQuickAccessPopup();
    virtual CSize GetSize(CDC* pDC);
    virtual void Draw(CDC* pDC);
    virtual BOOL OnSetPopup(BOOL bPopup);
    virtual BOOL IsCustomizeMovable() const { return FALSE; }
};

// The button that shows the quick-access controls that did not fit.
class CXTPRibbonBar::CControlQuickAccessMorePopup : public CXTPControlPopup
{
    DECLARE_DYNCREATE(CControlQuickAccessMorePopup)
public:
    CControlQuickAccessMorePopup();
    virtual CSize GetSize(CDC* pDC);
    virtual void Draw(CDC* pDC);
    virtual BOOL OnSetPopup(BOOL bPopup);
    virtual BOOL IsCustomizeMovable() const { return FALSE; }
};

inline CXTPControl* CXTPRibbonBar::GetControlQuickAccessMore() const
{
    return m_pControlQuickAccessMore;
}

// One entry of the customise menu's command list.
class CXTPRibbonBar::CControlQuickAccessCommand : public CXTPControlButton
{
    DECLARE_DYNCREATE(CControlQuickAccessCommand)
public:
    CControlQuickAccessCommand(CXTPRibbonQuickAccessControls* pQuickAccessControls = NULL,
                               CXTPControl* pControl = NULL);
    virtual ~CControlQuickAccessCommand();
    virtual void OnExecute();
    void SetQuickAccessControl(CXTPControl* pTwin) { m_pTwin = pTwin; }

    CXTPRibbonQuickAccessControls* m_pQuickAccessControls;
    CXTPControl* m_pControl;    // one reference
    CXTPControl* m_pTwin;       // not owned: looked up when the list is made
};

// The popup toolbar of the more-controls button.
class CXTPRibbonBar::CMorePopupToolBar : public CXTPPopupToolBar
{
    DECLARE_DYNCREATE(CMorePopupToolBar)
public:
    explicit CMorePopupToolBar(CXTPRibbonBar* pRibbonBar = NULL);
    virtual CSize GetButtonSize() const;
    virtual void FillBackground(CDC* pDC);
    virtual CRect GetBorders() { return CRect(3, 3, 3, 3); }
    virtual BOOL IsOwnControl(CXTPControl* pControl) const { return XTPIsRibbonOwnControl(pControl); }
    // The quick-access controls that did not fit show as on the toolbar.
    virtual XTPButtonStyle GetControlStyle(const CXTPControl* pControl, XTPButtonStyle style) const
    {
        return CXTPRibbonBar::GetQuickAccessStyle(pControl, style, GetIconSize().cx);
    }
    CXTPRibbonBar* m_pRibbonBar;
};
