// The push button.
#include "XTPControlButton.h"
#include "XTPCommandBar.h"

IMPLEMENT_DYNCREATE(CXTPControlButton, CXTPControl)

CXTPControlButton::CXTPControlButton()
{
    m_controlType = xtpControlButton;
    EnableAutomation();
}

CXTPControlButton::~CXTPControlButton()
{
}

void CXTPControlButton::Copy(CXTPControl* pControl, BOOL bRecursive)
{
    CXTPControl::Copy(pControl, bRecursive);
}

CXTPControl* CXTPControlButton::Clone(BOOL bRecursive)
{
    CXTPControl* pControl = (CXTPControl*)GetRuntimeClass()->CreateObject();
    if (pControl == NULL)
        pControl = new CXTPControlButton();
    pControl->Copy(this, bRecursive);
    return pControl;
}

void CXTPControlButton::OnClick(BOOL bKeyboard, CPoint pt)
{
    if (!GetEnabled())
        return;
    if (IsCustomizeMode())
    {
        if (m_pParent != NULL)
        {
            m_pParent->SetPopuped(-1);
            m_pParent->SetSelected(-1);
        }
        OnCustomizeClick(pt);
        return;
    }
    if (bKeyboard)
    {
        OnExecute();
        return;
    }
    if (m_pParent != NULL && m_pParent->GetType() != xtpBarTypePopup && m_pParent->GetPosition() != xtpBarPopup)
        TrackPress();
}

void CXTPControlButton::OnLButtonUp(CPoint)
{
    if (IsCustomizeMode() || !GetEnabled() || m_pParent == NULL)
        return;
    if (m_pParent->GetType() == xtpBarTypePopup || m_pParent->GetPosition() == xtpBarPopup)
        OnExecute();
}
