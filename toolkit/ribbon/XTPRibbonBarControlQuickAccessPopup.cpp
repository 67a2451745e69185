// The quick-access popups: the customise button, the more-controls button
// and its popup toolbar, and the entries of the customise menu.
#include "XTPRibbonBarControlQuickAccessPopup.h"

#include "XTPRibbonTheme.h"

IMPLEMENT_DYNCREATE(CXTPRibbonBarControlQuickAccessPopup, CXTPControlPopup)
XTP_IMPLEMENT_DYNCREATE_NESTED(CXTPRibbonBar, CControlQuickAccessMorePopup, CXTPControlPopup)
XTP_IMPLEMENT_DYNCREATE_NESTED(CXTPRibbonBar, CControlQuickAccessCommand, CXTPControlButton)
XTP_IMPLEMENT_DYNCREATE_NESTED(CXTPRibbonBar, CMorePopupToolBar, CXTPPopupToolBar)

CXTPRibbonBarControlQuickAccessPopup::CXTPRibbonBarControlQuickAccessPopup()
{
    m_dwFlags = xtpFlagManualUpdate | xtpFlagNoMovable;
    m_controlType = xtpControlPopup;
}

CSize CXTPRibbonBarControlQuickAccessPopup::GetSize(CDC* /*pDC*/)
{
    CXTPRibbonBar* pRibbon = XTPGetRibbonBar(GetParent());
    int nHeight = pRibbon != NULL ? pRibbon->GetRibbonPaintManager()->GetButtonHeight() : 22;
    return CSize(nHeight * 13 / 22, nHeight);
}

void CXTPRibbonBarControlQuickAccessPopup::Draw(CDC* pDC)
{
    CXTPRibbonBar* pRibbon = XTPGetRibbonBar(GetParent());
    if (pRibbon != NULL)
        pRibbon->GetRibbonPaintManager()->DrawQuickAccessButton(pDC, this);
}

BOOL CXTPRibbonBarControlQuickAccessPopup::OnSetPopup(BOOL bPopup)
{
    if (bPopup)
    {
        CXTPRibbonBar* pRibbon = XTPGetRibbonBar(GetParent());
        if (pRibbon == NULL)
            return FALSE;
        CXTPPopupBar* pPopup = pRibbon->CreateContextMenu(this);
        if (pPopup == NULL)
            return FALSE;
        // The menu's commands (show below or above, minimise, add or remove)
        // are the ribbon's: it gets them, as from a control's context menu.
        // The toolbars list of a hidden quick-access toolbar stays the site's.
        if (pRibbon->IsQuickAccessVisible())
            pPopup->SetOwner(pRibbon);
        SetCommandBar(pPopup);
        pPopup->InternalRelease();
    }
    return CXTPControlPopup::OnSetPopup(bPopup);
}

CXTPRibbonBar::CControlQuickAccessMorePopup::CControlQuickAccessMorePopup()
{
    m_dwFlags = xtpFlagManualUpdate | xtpFlagNoMovable;
    m_controlType = xtpControlPopup;
}

CSize CXTPRibbonBar::CControlQuickAccessMorePopup::GetSize(CDC* /*pDC*/)
{
    CXTPRibbonBar* pRibbon = XTPGetRibbonBar(GetParent());
    int nHeight = pRibbon != NULL ? pRibbon->GetRibbonPaintManager()->GetButtonHeight() : 22;
    return CSize(nHeight * 13 / 22, nHeight);
}

void CXTPRibbonBar::CControlQuickAccessMorePopup::Draw(CDC* pDC)
{
    CXTPRibbonBar* pRibbon = XTPGetRibbonBar(GetParent());
    if (pRibbon != NULL)
        pRibbon->GetRibbonPaintManager()->DrawQuickAccessMoreButton(pDC, this);
}

BOOL CXTPRibbonBar::CControlQuickAccessMorePopup::OnSetPopup(BOOL bPopup)
{
    if (bPopup)
    {
        CXTPRibbonBar* pRibbon = XTPGetRibbonBar(GetParent());
        if (pRibbon == NULL)
            return FALSE;
        CXTPPopupBar* pPopup = pRibbon->CreateMoreQuickAccessPopup();
        if (pPopup == NULL)
            return FALSE;
        SetCommandBar(pPopup);
        pPopup->InternalRelease();
    }
    return CXTPControlPopup::OnSetPopup(bPopup);
}

CXTPRibbonBar::CControlQuickAccessCommand::CControlQuickAccessCommand(
    CXTPRibbonQuickAccessControls* pQuickAccessControls, CXTPControl* pControl)
    : m_pQuickAccessControls(pQuickAccessControls), m_pControl(pControl), m_pTwin(NULL)
{
    if (m_pControl != NULL)
        m_pControl->InternalAddRef();
}

CXTPRibbonBar::CControlQuickAccessCommand::~CControlQuickAccessCommand()
{
    if (m_pControl != NULL)
        m_pControl->InternalRelease();
}

void CXTPRibbonBar::CControlQuickAccessCommand::OnExecute()
{
    CXTPControl::OnExecute();
    if (m_pQuickAccessControls == NULL || m_pControl == NULL)
        return;
    CXTPRibbonBar* pRibbon = m_pQuickAccessControls->GetRibbonBar();
    // The twin is looked up again: the toolbar may have changed since the
    // list was made.
    CXTPControl* pTwin = m_pQuickAccessControls->FindDuplicate(m_pControl);
    if (pTwin == NULL)
    {
        CXTPControl* pClone = m_pControl->Clone(TRUE);
        if (pClone != NULL)
        {
            pClone->SetHideFlag(xtpHideCustomize, FALSE);
            m_pQuickAccessControls->Add(pClone, m_pControl->GetID());
        }
    }
    else
    {
        m_pQuickAccessControls->Remove(pTwin);
    }
    if (pRibbon != NULL)
        pRibbon->OnRecalcLayout();
}

CXTPRibbonBar::CMorePopupToolBar::CMorePopupToolBar(CXTPRibbonBar* pRibbonBar) : m_pRibbonBar(pRibbonBar)
{
    // A popup toolbar (the normal bar type): its buttons are laid out in rows
    // up to its width hint, not in a menu's column.
    m_rcBorders.SetRect(3, 3, 3, 3);
}

CSize CXTPRibbonBar::CMorePopupToolBar::GetButtonSize() const
{
    return m_pRibbonBar != NULL ? m_pRibbonBar->GetButtonSize() : CXTPPopupToolBar::GetButtonSize();
}

void CXTPRibbonBar::CMorePopupToolBar::FillBackground(CDC* pDC)
{
    if (m_pRibbonBar != NULL)
        m_pRibbonBar->GetRibbonPaintManager()->FillMorePopupToolBar(pDC, this);
    else
        CXTPPopupToolBar::FillBackground(pDC);
}
