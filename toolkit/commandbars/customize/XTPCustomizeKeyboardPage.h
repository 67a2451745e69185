// The "Keyboard" page of the customize sheet: pick a category and a command,
// see its shortcut keys and description, press a new key chord and assign
// it, remove a shortcut, or reset every shortcut to the resource table. Each
// change goes to the shortcut manager's working table at once.
#pragma once

#include "XTPCustomizeCategories.h"
#include "XTPShortcutManager.h"

#include <afxpropsheet.h>

#include <vector>

class CXTPCommandBars;
class CXTPControl;

class CXTPCustomizeKeyboardPage : public CPropertyPage
{
    DECLARE_DYNAMIC(CXTPCustomizeKeyboardPage)
public:
    // The page works on the shortcut manager of the command bars.
    explicit CXTPCustomizeKeyboardPage(CXTPCommandBars* pCommandBars);
    // The same for a customize sheet, which gives its command bars.
    template <class TSheet>
    explicit CXTPCustomizeKeyboardPage(TSheet* pSheet) : CXTPCustomizeKeyboardPage(pSheet->GetCommandBars())
    {
    }
    virtual ~CXTPCustomizeKeyboardPage();

    // Adds a category for each top-level item of the menu that has a text
    // and a sub-menu (an existing category of that caption takes the items),
    // holding a control for every item of the sub-menu with a non-zero id.
    // With bListSubItems, each control of a popup's bar is listed too, as
    // "<popup caption> | <control caption>". FALSE when the menu cannot be
    // loaded.
    BOOL AddCategories(UINT nIDResource, BOOL bListSubItems = FALSE);
    // Null when there is no category of that caption (compared exactly).
    XTP_COMMANDBARS_CATEGORYINFO* FindCategory(LPCTSTR lpszCategory) const;
    // Null outside the array.
    XTP_COMMANDBARS_CATEGORYINFO* GetCategoryInfo(int nIndex) const;
    // Appends for -1 (or an index past the end).
    XTP_COMMANDBARS_CATEGORYINFO* AddCategory(LPCTSTR lpszCategory, int nIndex = -1);
    int GetCategoryCount() const { return (int)m_arrCategories.GetSize(); }

    CXTPCommandBars* GetCommandBars() const { return m_pCommandBars; }
    CXTPShortcutManager* GetShortcutManager() const;

    // The operations behind the page's buttons.
    void AssignShortcut();
    void RemoveShortcut();
    void ResetAllShortcuts();

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();
    virtual BOOL OnSetActive();

    afx_msg void OnDestroy();
    afx_msg void OnCategoryChanged();
    afx_msg void OnCommandChanged();
    afx_msg void OnKeyChanged();
    afx_msg void OnNewKeyChanged();
    afx_msg void OnAssign();
    afx_msg void OnRemove();
    afx_msg void OnResetAll();
    DECLARE_MESSAGE_MAP()

    void ReloadCommands();
    // Brings the keys list to the selected command's keys in table order.
    // The list is changed only where it differs from what it shows (a
    // refill of a long list costs a message per key), unless bRefill.
    void ReloadKeys(BOOL bRefill = FALSE);
    void EnableControls();
    CXTPControl* GetSelectedControl() const;

public:
    CListBox m_lboxKeys;            // 104: the keys, in table order; item data = the entry's index in the working table
    CListBox m_lboxCommands;        // 102: item data = the control
    CComboBox m_comboCategory;      // 100: item data = the category's controls
    CString m_strDesc;              // 111
    int m_nCategory;                // 100
    CXTPShortcutManager::CKeyAssign m_editShortcutKey;   // 106

protected:
    CArray<XTP_COMMANDBARS_CATEGORYINFO*, XTP_COMMANDBARS_CATEGORYINFO*> m_arrCategories;   // owned
    CXTPCommandBars* m_pCommandBars;

    // The entries the keys list shows, item by item, so that a change is
    // made where the list differs without reading it back.
    struct KeyEntry
    {
        INT_PTR nIndex;   // in the working table: the item's data
        BYTE fVirt;
        WORD key;
    };
    std::vector<KeyEntry> m_arrShownKeys;
};
