// Control actions and their collection.
#include "XTPControlAction.h"
#include "XTPControl.h"
#include "XTPCommandBar.h"
#include "XTPCommandBars.h"
#include "XTPResourceManager.h"

IMPLEMENT_DYNAMIC(CXTPControlAction, CCmdTarget)
IMPLEMENT_DYNAMIC(CXTPControlActions, CCmdTarget)

CXTPControlAction::CXTPControlAction(CXTPControlActions* pActions)
    : m_nId(0)
    , m_nIconId(0)
    , m_nHelpId(0)
    , m_bEnabled(TRUE)
    , m_nChecked(0)
    , m_bVisible(TRUE)
    , m_pActions(pActions)
{
}

CXTPControlAction::~CXTPControlAction()
{
    RemoveAllControls();
}

CXTPCommandBars* CXTPControlAction::GetCommandBars() const
{
    return m_pActions != NULL ? m_pActions->GetCommandBars() : NULL;
}

CXTPControl* CXTPControlAction::GetControl(int nIndex) const
{
    if (nIndex < 0 || nIndex >= m_arrControls.GetSize())
        return NULL;
    return m_arrControls[nIndex];
}

BOOL CXTPControlAction::GetEnabled() const
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars != NULL && pCommandBars->IsCustomizeMode())
        return TRUE;
    return m_bEnabled;
}

void CXTPControlAction::NotifyChanging(int nProperty)
{
    for (INT_PTR i = 0; i < m_arrControls.GetSize(); i++)
        m_arrControls[i]->OnActionChanging(nProperty);
}

void CXTPControlAction::NotifyChanged(int nProperty)
{
    for (INT_PTR i = 0; i < m_arrControls.GetSize(); i++)
        m_arrControls[i]->OnActionChanged(nProperty);
}

void CXTPControlAction::RedrawControls()
{
    for (INT_PTR i = 0; i < m_arrControls.GetSize(); i++)
        m_arrControls[i]->RedrawParent();
}

void CXTPControlAction::SetIconId(int nIconId)
{
    if (m_nIconId == nIconId)
        return;
    m_nIconId = nIconId;
    RedrawControls();
}

void CXTPControlAction::SetEnabled(BOOL bEnabled)
{
    if (m_bEnabled == bEnabled)
        return;
    NotifyChanging(1);
    m_bEnabled = bEnabled;
    NotifyChanged(1);
    RedrawControls();
}

void CXTPControlAction::SetChecked(int nChecked)
{
    if (m_nChecked == nChecked)
        return;
    m_nChecked = nChecked;
    RedrawControls();
}

void CXTPControlAction::SetVisible(BOOL bVisible)
{
    if (m_bVisible == bVisible)
        return;
    NotifyChanging(2);
    m_bVisible = bVisible;
    NotifyChanged(2);
    for (INT_PTR i = 0; i < m_arrControls.GetSize(); i++)
        m_arrControls[i]->DelayLayoutParent();
}

void CXTPControlAction::SetCaption(LPCTSTR lpszCaption)
{
    CString strCaption(lpszCaption);
    int nTab = strCaption.Find('\t');
    if (nTab != -1)
        strCaption = strCaption.Left(nTab);
    if (strCaption == m_strCaption)
        return;

    NotifyChanging(3);
    m_strCaption = strCaption;
    NotifyChanged(3);
    for (INT_PTR i = 0; i < m_arrControls.GetSize(); i++)
        m_arrControls[i]->DelayLayoutParent();
}

void CXTPControlAction::SetPrompt(LPCTSTR lpszPrompt)
{
    CString strPrompt(lpszPrompt);
    if (strPrompt.IsEmpty())
        return;
    int nLineFeed = strPrompt.Find('\n');
    if (nLineFeed != -1)
    {
        CString strTooltip;
        AfxExtractSubString(strTooltip, strPrompt, 1, '\n');
        m_strTooltipText = strTooltip;
        m_strDescriptionText = strPrompt.Left(nLineFeed);
    }
    else
    {
        m_strTooltipText = strPrompt;
        m_strDescriptionText = strPrompt;
    }
}

void CXTPControlAction::AddControl(CXTPControl* pControl)
{
    for (INT_PTR i = 0; i < m_arrControls.GetSize(); i++)
    {
        if (m_arrControls[i] == pControl)
            return;
    }
    m_arrControls.Add(pControl);
    pControl->m_bEnabled = -1;
    pControl->m_bChecked = -1;
    pControl->m_nId = m_nId;
    pControl->m_strCaption.Empty();
    pControl->m_strTooltipText.Empty();
    pControl->m_strDescriptionText.Empty();
    pControl->m_strCategory.Empty();
    pControl->m_strShortcutText.Empty();
}

void CXTPControlAction::RemoveControl(CXTPControl* pControl)
{
    for (INT_PTR i = 0; i < m_arrControls.GetSize(); i++)
    {
        if (m_arrControls[i] == pControl)
        {
            m_arrControls.RemoveAt(i);
            pControl->m_bEnabled = TRUE;
            pControl->m_bChecked = 0;
            return;
        }
    }
}

void CXTPControlAction::RemoveAllControls()
{
    // Each SetAction(NULL) takes the control off the list, so this ends.
    while (m_arrControls.GetSize() > 0)
    {
        CXTPControl* pControl = m_arrControls[0];
        INT_PTR nBefore = m_arrControls.GetSize();
        pControl->SetAction(NULL);
        if (m_arrControls.GetSize() == nBefore)
            RemoveControl(pControl);
    }
}

//////////////////////////////////////////////////////////////////////////
// CXTPControlActions

CXTPControlActions::CXTPControlActions(CXTPCommandBars* pCommandBars)
    : m_pCommandBars(pCommandBars)
{
}

CXTPControlActions::~CXTPControlActions()
{
    RemoveAll();
}

CXTPControlAction* CXTPControlActions::GetAt(int nIndex) const
{
    return m_arrActions.GetAt(nIndex);
}

CXTPControlAction* CXTPControlActions::FindAction(int nId) const
{
    if (nId == 0 || (UINT)nId >= 0x0FFFFFFF)
        return NULL;
    for (INT_PTR i = 0; i < m_arrActions.GetSize(); i++)
    {
        if (m_arrActions[i]->GetID() == nId)
            return m_arrActions[i];
    }
    return NULL;
}

CXTPControlAction* CXTPControlActions::Add(int nId)
{
    CXTPControlAction* pAction = FindAction(nId);
    if (pAction != NULL)
        return pAction;

    pAction = new CXTPControlAction(this);
    pAction->m_nId = nId;
    m_arrActions.Add(pAction);

    CString strPrompt;
    if (nId > 0 && XTPResourceManager()->LoadString(&strPrompt, (UINT)nId))
        pAction->SetPrompt(strPrompt);
    return pAction;
}

void CXTPControlActions::RemoveAll()
{
    for (INT_PTR i = 0; i < m_arrActions.GetSize(); i++)
    {
        CXTPControlAction* pAction = m_arrActions[i];
        pAction->RemoveAllControls();
        pAction->InternalRelease();
    }
    m_arrActions.RemoveAll();
}
