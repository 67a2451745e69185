// The docking keyboard hook: registered managers, the manager of the focus,
// and the keys it takes.
#include "XTPDockingPaneKeyboardHook.h"

#include "XTPDockingPane.h"
#include "XTPDockingPaneManager.h"
#include "XTPDockingPaneMiniWnd.h"
#include "XTPDockingPaneWindowSelect.h"

#include <afxstate.h>

namespace
{
THREAD_LOCAL(CXTPDockingPaneKeyboardHook, g_keyboardHook)

// The transition state: set for key-ups only.
const LPARAM kKeyUp = 0x80000000;
// The key's previous state: set for repeats and key-ups.
const LPARAM kKeyWasDown = 0x40000000;
const LPARAM kAltDown = 0x20000000;
// How soon the key that opened the selector may come back from its loop.
const DWORD kRedeliveryTime = 100;
} // namespace

CXTPDockingPaneKeyboardHook::CXTPDockingPaneKeyboardHook()
    : m_hHookKeyboard(NULL), m_mapSites(10), m_pModuleState(NULL), m_pWindowSelect(NULL), m_nOpeningKey(0),
      m_lOpeningKeyData(0), m_dwOpeningTime(0), m_bAltSpent(FALSE)
{
    m_mapSites.InitHashTable(17);
}

CXTPDockingPaneKeyboardHook::~CXTPDockingPaneKeyboardHook()
{
    if (m_hHookKeyboard != NULL)
        ::UnhookWindowsHookEx(m_hHookKeyboard);
}

CXTPDockingPaneKeyboardHook* AFX_CDECL CXTPDockingPaneKeyboardHook::GetThreadHook()
{
    return g_keyboardHook.GetData();
}

void CXTPDockingPaneKeyboardHook::SetupKeyboardHook(CXTPDockingPaneManager* pManager, BOOL bSetup)
{
    if (pManager == NULL)
        return;
    HWND hWndSite = pManager->GetSite() != NULL ? pManager->GetSite()->GetSafeHwnd() : NULL;
    if (bSetup)
    {
        if (hWndSite == NULL)
            return;
        m_mapSites.SetAt(hWndSite, pManager);
        if (m_hHookKeyboard == NULL)
        {
            m_hHookKeyboard =
                ::SetWindowsHookEx(WH_KEYBOARD, KeyboardProc, AfxGetInstanceHandle(), ::GetCurrentThreadId());
            if (m_hHookKeyboard == NULL)
                TRACE("The docking keyboard hook could not be installed.\n");
        }
        m_pModuleState = AfxGetModuleState();
        return;
    }
    // The manager may have lost its site already: its entries go by value.
    HWND hWndMapped;
    while ((hWndMapped = FindSite(pManager)) != NULL)
        m_mapSites.RemoveKey(hWndMapped);
    if (m_mapSites.IsEmpty() && m_hHookKeyboard != NULL)
    {
        ::UnhookWindowsHookEx(m_hHookKeyboard);
        m_hHookKeyboard = NULL;
    }
}

HWND CXTPDockingPaneKeyboardHook::FindSite(const CXTPDockingPaneManager* pManager) const
{
    POSITION pos = m_mapSites.GetStartPosition();
    while (pos != NULL)
    {
        HWND hWnd;
        CXTPDockingPaneManager* pMapped;
        m_mapSites.GetNextAssoc(pos, hWnd, pMapped);
        if (pMapped == pManager)
            return hWnd;
    }
    return NULL;
}

CXTPDockingPaneManager* CXTPDockingPaneKeyboardHook::FindFocusedManager() const
{
    HWND hWnd = ::GetFocus();
    while (hWnd != NULL)
    {
        CXTPDockingPaneManager* pManager = NULL;
        if (m_mapSites.Lookup(hWnd, pManager))
        {
            CWnd* pSite = pManager->GetSite();
            return pSite != NULL && pSite->IsWindowEnabled() ? pManager : NULL;
        }
        if ((::GetWindowLong(hWnd, GWL_STYLE) & WS_CHILD) == 0)
            break;
        hWnd = ::GetParent(hWnd);
    }
    // A floating window's panes belong to its frame's manager.
    if (hWnd == NULL || (::GetWindowLong(hWnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) == 0)
        return NULL;
    CXTPDockingPaneMiniWnd* pMiniWnd = DYNAMIC_DOWNCAST(CXTPDockingPaneMiniWnd, CWnd::FromHandlePermanent(hWnd));
    CXTPDockingPaneManager* pManager = pMiniWnd != NULL ? pMiniWnd->GetDockingPaneManager() : NULL;
    if (pManager == NULL || !IsRegistered(pManager))
        return NULL;
    CWnd* pSite = pManager->GetSite();
    return pSite != NULL && pSite->IsWindowEnabled() ? pManager : NULL;
}

BOOL CXTPDockingPaneKeyboardHook::ShowWindowSelect(CXTPDockingPaneManager* pManager, int nStartMode,
                                                   UINT nVirtKey, LPARAM lParam)
{
    CXTPDockingPaneWindowSelect* pSelect = new CXTPDockingPaneWindowSelect(pManager, nStartMode);
    m_pWindowSelect = pSelect;
    m_nOpeningKey = nVirtKey;
    m_lOpeningKeyData = lParam;
    m_dwOpeningTime = ::GetTickCount();
    BOOL bShown = pSelect->Show();
    m_pWindowSelect = NULL;
    delete pSelect;
    return bShown;
}

BOOL CXTPDockingPaneKeyboardHook::ProcessKeyDown(UINT nVirtKey, LPARAM lParam)
{
    const BOOL bAlt = (lParam & kAltDown) != 0;
    const BOOL bCtrl = ::GetKeyState(VK_CONTROL) < 0;
    const BOOL bShift = ::GetKeyState(VK_SHIFT) < 0;

    if ((nVirtKey == VK_TAB && bCtrl && !bAlt) || (nVirtKey == VK_F7 && bAlt && !bCtrl))
    {
        // An open selector steps; otherwise the manager of the focus opens one.
        if (m_pWindowSelect != NULL)
        {
            // The key that opened the selector may come to the hook once more
            // from the selector's own loop, still unremoved: it is not a step.
            if (nVirtKey == m_nOpeningKey && lParam == m_lOpeningKeyData &&
                ::GetTickCount() - m_dwOpeningTime < kRedeliveryTime)
            {
                m_nOpeningKey = 0;
                return TRUE;
            }
            m_nOpeningKey = 0;
            m_pWindowSelect->OnSelectorKey(VK_TAB);
            return TRUE;
        }
        const BOOL bTab = nVirtKey == VK_TAB;
        CXTPDockingPaneManager* pManager = FindFocusedManager();
        if (pManager == NULL || (pManager->m_nKeyboardShortcuts & (bTab ? xtpPaneKeyboardUseCtrlTab
                                                                          : xtpPaneKeyboardUseAltF7)) == 0)
            return FALSE;
        return ShowWindowSelect(pManager,
                                bTab ? CXTPDockingPaneWindowSelect::startDocuments
                                     : CXTPDockingPaneWindowSelect::startToolWindows,
                                nVirtKey, lParam);
    }
    if (nVirtKey == VK_F6 && bAlt && !bCtrl)
    {
        CXTPDockingPaneManager* pManager = FindFocusedManager();
        if (pManager == NULL || (pManager->m_nKeyboardShortcuts & xtpPaneKeyboardUseAltF6) == 0)
            return FALSE;
        pManager->PostMessage(WM_SYSCOMMAND, bShift ? SC_PREVWINDOW : SC_NEXTWINDOW, 0);
        m_bAltSpent = TRUE;
        return TRUE;
    }
    if ((nVirtKey == VK_OEM_MINUS || nVirtKey == VK_SUBTRACT) && bAlt && !bCtrl && !bShift)
    {
        CXTPDockingPaneManager* pManager = FindFocusedManager();
        if (pManager == NULL || (pManager->m_nKeyboardShortcuts & xtpPaneKeyboardUseAltMinus) == 0)
            return FALSE;
        CXTPDockingPane* pPane = pManager->GetActivePane();
        if (pPane == NULL)
            return FALSE;
        // A closed or hidden pane has no menu to open; the key is taken all the same.
        if (!pPane->IsClosed() && !pPane->IsAutoHidden())
            pManager->PostMessage(WM_SYSCOMMAND, SC_KEYMENU, '-');
        m_bAltSpent = TRUE;
        return TRUE;
    }
    return FALSE;
}

LRESULT CALLBACK CXTPDockingPaneKeyboardHook::KeyboardProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    CXTPDockingPaneKeyboardHook* pHook = g_keyboardHook.GetDataNA();
    HHOOK hHook = pHook != NULL ? pHook->m_hHookKeyboard : NULL;
    if (pHook == NULL || nCode != HC_ACTION)
        return ::CallNextHookEx(hHook, nCode, wParam, lParam);
    const BOOL bAltKey = wParam == VK_MENU || wParam == VK_LMENU || wParam == VK_RMENU;
    if ((lParam & kKeyUp) != 0)
    {
        // The window procedure takes an Alt pressed and let go with no key
        // it saw in between for the menu key, and hands the keyboard to the
        // menu bar. The key the hook took was not seen there, so the Alt of
        // that shortcut goes to nobody once it is let go.
        if (bAltKey && pHook->m_bAltSpent)
        {
            pHook->m_bAltSpent = FALSE;
            return 1;
        }
        return ::CallNextHookEx(hHook, nCode, wParam, lParam);
    }
    // A fresh press of Alt starts over: its release is the window's again.
    if (bAltKey && (lParam & kKeyWasDown) == 0)
        pHook->m_bAltSpent = FALSE;
    BOOL bTaken = FALSE;
    try
    {
        bTaken = pHook->ProcessKeyDown((UINT)wParam, lParam);
    }
    catch (CException* e)
    {
        TRACE("A docking shortcut failed.\n");
        e->Delete();
    }
    catch (...)
    {
        TRACE("A docking shortcut failed.\n");
    }
    return bTaken ? 1 : ::CallNextHookEx(hHook, nCode, wParam, lParam);
}
