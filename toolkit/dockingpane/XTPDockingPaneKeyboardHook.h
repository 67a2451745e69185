// The docking keyboard hook: a per-thread keyboard hook through which a
// docking-pane manager takes over a few shortcuts of its frame while the
// focus is in it: Ctrl+Tab and Alt+F7 open the window selector, Alt+F6
// (with Shift, backwards) steps to the next pane, Alt+minus opens the active
// pane's window menu.
#pragma once

#include "XTPDockingPaneDefines.h"

class CXTPDockingPaneWindowSelect;

class CXTPDockingPaneKeyboardHook : public CNoTrackObject
{
public:
    CXTPDockingPaneKeyboardHook();
    virtual ~CXTPDockingPaneKeyboardHook();

    // The hook of the calling thread.
    static CXTPDockingPaneKeyboardHook* AFX_CDECL GetThreadHook();
    // Registers (bSetup) or unregisters a manager; the hook is installed
    // while at least one is registered.
    void SetupKeyboardHook(CXTPDockingPaneManager* pManager, BOOL bSetup);
    BOOL IsHooked() const { return m_hHookKeyboard != NULL; }
    BOOL IsRegistered(const CXTPDockingPaneManager* pManager) const { return FindSite(pManager) != NULL; }
    // The site window under which a manager is registered, or null.
    HWND FindSite(const CXTPDockingPaneManager* pManager) const;
    // The manager whose frame holds the focus, or null.
    CXTPDockingPaneManager* FindFocusedManager() const;
    // Carries a key-down out; TRUE when the key was taken.
    BOOL ProcessKeyDown(UINT nVirtKey, LPARAM lParam);
    CXTPDockingPaneWindowSelect* GetWindowSelect() const { return m_pWindowSelect; }

    static LRESULT CALLBACK KeyboardProc(int nCode, WPARAM wParam, LPARAM lParam);

public:
    HHOOK m_hHookKeyboard;
    CMap<HWND, HWND, CXTPDockingPaneManager*, CXTPDockingPaneManager*> m_mapSites;
    AFX_MODULE_STATE* m_pModuleState;
    CXTPDockingPaneWindowSelect* m_pWindowSelect;

protected:
    // Opens the selector of a manager in a start mode for a key; TRUE when
    // it was shown.
    BOOL ShowWindowSelect(CXTPDockingPaneManager* pManager, int nStartMode, UINT nVirtKey, LPARAM lParam);

    // The key that opened the selector, which its loop may see once more.
    UINT m_nOpeningKey;
    LPARAM m_lOpeningKeyData;
    DWORD m_dwOpeningTime;
    // An Alt shortcut was taken (Alt+F6, Alt+minus): the release of that
    // Alt is eaten, so that it does not open the menu bar.
    BOOL m_bAltSpent;
};
