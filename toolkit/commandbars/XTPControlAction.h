// Control actions: the shared state of every control that carries one
// command id. A control linked to an action shows the action's texts, icon
// and states wherever its own are empty or set to follow the action, so one
// change reaches every menu item and button of that command.
#pragma once

#include "XTPCommandBarsDefines.h"
#include <afxtempl.h>

class CXTPControl;
class CXTPControlActions;

class CXTPControlAction : public CCmdTarget
{
    DECLARE_DYNAMIC(CXTPControlAction)
public:
    explicit CXTPControlAction(CXTPControlActions* pActions);
    virtual ~CXTPControlAction();

    int GetID() const { return m_nId; }
    void SetID(int nId) { m_nId = nId; }
    // The icon id; below 1 the action's id.
    int GetIconId() const { return m_nIconId; }
    void SetIconId(int nIconId);
    int GetHelpId() const { return m_nHelpId; }
    void SetHelpId(int nHelpId) { m_nHelpId = nHelpId; }

    // Always true while the command bars are being customised.
    BOOL GetEnabled() const;
    void SetEnabled(BOOL bEnabled);
    int GetChecked() const { return m_nChecked; }
    void SetChecked(int nChecked);
    // An invisible action hides all its controls.
    BOOL IsVisible() const { return m_bVisible; }
    void SetVisible(BOOL bVisible);
    // The action's hidden state as the themes read it (not visible).
    BOOL IsHidden() const { return !m_bVisible; }

    CString GetCaption() const { return m_strCaption; }
    // Keeps the part before the first tab; linked controls are told
    // around the change and their bars re-laid out.
    void SetCaption(LPCTSTR lpszCaption);
    CString GetTooltip() const { return m_strTooltipText; }
    void SetTooltip(LPCTSTR lpszTooltip) { m_strTooltipText = lpszTooltip; }
    CString GetDescription() const { return m_strDescriptionText; }
    void SetDescription(LPCTSTR lpszDescription) { m_strDescriptionText = lpszDescription; }
    CString GetShortcutText() const { return m_strShortcutText; }
    void SetShortcutText(LPCTSTR lpszShortcutText) { m_strShortcutText = lpszShortcutText; }
    CString GetCategory() const { return m_strCategory; }
    void SetCategory(LPCTSTR lpszCategory) { m_strCategory = lpszCategory; }
    // The grey hint that the edit and combo controls of the command show
    // while empty (property 4 of the change notifications).
    CString GetEditHint() const { return m_strEditHint; }
    void SetEditHint(LPCTSTR lpszEditHint)
    {
        if (m_strEditHint == lpszEditHint)
            return;
        NotifyChanging(4);
        m_strEditHint = lpszEditHint;
        NotifyChanged(4);
    }
    // "description\ntooltip": the tooltip is the second part, the
    // description the first; a text without a line feed is both. Never
    // touches the caption. An empty text does nothing.
    void SetPrompt(LPCTSTR lpszPrompt);

    // Linked controls (not owned).
    void AddControl(CXTPControl* pControl);
    void RemoveControl(CXTPControl* pControl);
    void RemoveAllControls();
    int GetControlCount() const { return (int)m_arrControls.GetSize(); }
    CXTPControl* GetControl(int nIndex) const;

    CXTPControlActions* GetActions() const { return m_pActions; }
    CXTPCommandBars* GetCommandBars() const;

protected:
    // Tells every linked control that a property changes or changed (3 is
    // the caption, 1 the enabled state, 2 the visibility).
    void NotifyChanging(int nProperty);
    void NotifyChanged(int nProperty);
    void RedrawControls();

    int m_nId;
    int m_nIconId;
    int m_nHelpId;
    BOOL m_bEnabled;
    int m_nChecked;
    BOOL m_bVisible;
    CString m_strCaption;
    CString m_strTooltipText;
    CString m_strDescriptionText;
    CString m_strShortcutText;
    CString m_strCategory;
    CArray<CXTPControl*, CXTPControl*> m_arrControls;
    CXTPControlActions* m_pActions;
    CString m_strEditHint;

    friend class CXTPControlActions;
};

// The actions of one command bars object; each entry holds one reference.
class CXTPControlActions : public CCmdTarget
{
    DECLARE_DYNAMIC(CXTPControlActions)
public:
    explicit CXTPControlActions(CXTPCommandBars* pCommandBars);
    virtual ~CXTPControlActions();

    int GetCount() const { return (int)m_arrActions.GetSize(); }
    // The class library's invalid-argument exception out of range.
    CXTPControlAction* GetAt(int nIndex) const;
    // The first action of the id; NULL for 0, for ids of 0x0FFFFFFF and up,
    // and when there is none.
    CXTPControlAction* FindAction(int nId) const;
    // The existing action of the id, else a new one whose prompt comes
    // from the string of that id.
    CXTPControlAction* Add(int nId);
    void RemoveAll();

    CXTPCommandBars* GetCommandBars() const { return m_pCommandBars; }

protected:
    CArray<CXTPControlAction*, CXTPControlAction*> m_arrActions;
    CXTPCommandBars* m_pCommandBars;
};
