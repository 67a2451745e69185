// The menu bar: replaces the frame's native menu with a command bar. It
// loads its controls from a menu resource, takes the frame's menu away and
// watches the frame through the hook manager: Alt alone puts the keyboard
// into the menu bar. In an MDI frame it shows the maximised child's icon and
// window buttons and keeps one set of controls per document type's menu.
#pragma once

#include "XTPToolBar.h"
#include "XTPPopupBar.h"

class CXTPMenuBar;

// The controls of one document type's menu.
class CXTPMenuBarMDIMenuInfo : public CCmdTarget
{
public:
    CXTPMenuBarMDIMenuInfo(CXTPCommandBars* pCommandBars, UINT nIDResource);
    virtual ~CXTPMenuBarMDIMenuInfo();

    CXTPControls* m_pControls;  // owned
    CString m_strTitle;         // the document type's name
    CString m_strDescription;   // its registry file-type name
    HICON m_hIcon;
    UINT m_nIDResource;
    BOOL m_bChanged;
};

// Menu resource id -> the set of controls kept for it.
class CXTPMenuBarMDIMenus : public CCmdTarget
{
public:
    explicit CXTPMenuBarMDIMenus(CXTPMenuBar* pMenuBar);
    virtual ~CXTPMenuBarMDIMenus();

    CXTPMenuBarMDIMenuInfo* Lookup(UINT nIDResource) const;
    // Takes over the caller's reference; releases a set stored before.
    void SetAt(UINT nIDResource, CXTPMenuBarMDIMenuInfo* pInfo);
    void Remove(UINT nIDResource);
    void RemoveAll();
    int GetCount() const { return (int)m_mapMenus.GetCount(); }
    POSITION GetStartPosition() const { return m_mapMenus.GetStartPosition(); }
    void GetNextMenu(POSITION& pos, UINT& nIDResource, CXTPMenuBarMDIMenuInfo*& pInfo) const;

protected:
    CMap<UINT, UINT, CXTPMenuBarMDIMenuInfo*, CXTPMenuBarMDIMenuInfo*> m_mapMenus;
    CXTPMenuBar* m_pMenuBar;
};

class CXTPMenuBar : public CXTPToolBar
{
    DECLARE_DYNCREATE(CXTPMenuBar)
public:
    // The maximised child's icon; opens its system menu.
    class CControlMDISysMenuPopup : public CXTPControlPopup
    {
        DECLARE_DYNCREATE(CControlMDISysMenuPopup)
    public:
        class CXTPSysMenuPopupBar : public CXTPPopupBar
        {
            DECLARE_DYNCREATE(CXTPSysMenuPopupBar)
        public:
            virtual BOOL IsCustomizeEnabledOnPopup() const { return FALSE; }
        };

        CControlMDISysMenuPopup();
        CControlMDISysMenuPopup(HWND hWndActiveChild, HMENU hDocMenu);
        virtual ~CControlMDISysMenuPopup();
        // Rebuilds the popup from the child's system menu.
        void SetMDISysMenu(HWND hWndActiveChild, HMENU hDocMenu);
        virtual void Draw(CDC* pDC);
        virtual CSize GetSize(CDC* pDC);
        virtual void AdjustExcludeRect(CRect& rc, BOOL bVertical);
        virtual BOOL IsCustomizeMovable() const { return FALSE; }
        // The commands' states follow the child as the popup opens.
        virtual BOOL OnSetPopup(BOOL bPopup);
        // Enables Restore, Move, Size, Minimize and Maximize as the child's
        // state and style allow, as the system does in its own window menu.
        void UpdateSystemCommands();

        HWND m_hWndActiveChild;
        HMENU m_hDocMenu;
        HICON m_hIcon;
    };

    // Minimize ("0"), restore ("2") and close ("r") of the maximised child.
    class CControlMDIButton : public CXTPControlButton
    {
        DECLARE_DYNCREATE(CControlMDIButton)
    public:
        CControlMDIButton();
        virtual void OnExecute();
        virtual void Draw(CDC* pDC);
        virtual CSize GetSize(CDC* pDC);
        virtual BOOL IsCustomizeMovable() const { return FALSE; }
    };

    CXTPMenuBar();
    virtual ~CXTPMenuBar();

    virtual void Copy(CXTPCommandBar* pCommandBar, BOOL bRecursive = FALSE);
    virtual CXTPCommandBar* Clone(BOOL bRecursive = FALSE);
    virtual void ResetToolBar(BOOL bShowWarningMessage = FALSE);
    virtual BOOL IsChanged() const;
    virtual void DoPropExchange(CXTPPropExchange* pPX);
    // Added: loads the controls from a menu resource and takes the site's
    // menu away.
    virtual BOOL LoadMenuBar(UINT nIDResource);
    virtual int OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult);

    void SwitchMDIMenu(UINT nIDMenu, CMenu* pMenu = NULL);
    void UpdateMDIButtons();
    void RefreshMenu();

    UINT GetDefaultMenuResource() const { return m_nIDResource; }
    UINT GetCurrentMenuResource() const { return m_nIDResourceCurrent; }
    CXTPMenuBarMDIMenus* GetMDIMenus() const { return m_pMDIMenus; }
    BOOL IsMDIFrame() const { return m_bMdiApp; }
    // Puts the default menu back for saving (and switches again after).
    void RestoreDefaultMenu();
    void AfterSave();

protected:
    void SwitchToFrameMenu(HMENU hMenu);
    HWND GetActiveMdiChild(BOOL* pbMaximized) const;
    void AddMDIButton(int nId, LPCTSTR lpszGlyph);
    void RemoveControlById(int nId);

    afx_msg void OnTimer(UINT_PTR nIDEvent);

    DECLARE_MESSAGE_MAP()

public:
    BOOL m_bMdiApp;
    HWND m_hWndActiveChild;
    HMENU m_hMenu;
    UINT m_nIDResource;
    UINT m_nIDResourceCurrent;
    CXTPMenuBarMDIMenus* m_pMDIMenus;
    BOOL m_bDirtyMenu;          // the default menu was put back for saving
    HWND m_hWndMDIClient;
};
