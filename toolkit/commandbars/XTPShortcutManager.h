// Keyboard shortcuts of a frame's command bars: the accelerator table loaded
// from the resource, the working copy the user may change, translation of
// key messages through it, display texts such as "Ctrl+Shift+F5", and the
// saved form of the working table.
#pragma once

#include "XTPCommon.h"

class CXTPCommandBars;
class CXTPPropExchange;

class CXTPShortcutManager : public CCmdTarget
{
public:
    // Formats one accelerator with the manager's key names.
    class CKeyHelper
    {
    public:
        CKeyHelper(LPACCEL pAccel, CXTPShortcutManager* pManager);
        virtual ~CKeyHelper();

        void Format(CString& str) const;
        // 0 without an accelerator; Ctrl 3, else Alt 2, else Shift 1, else 4.
        int Priority() const;

        LPACCEL m_lpAccel;
        CXTPShortcutManager* m_pManager;
    };

    // The edit box in which the user presses the key chord to assign.
    class CKeyAssign : public CEdit
    {
    public:
        explicit CKeyAssign(CXTPShortcutManager* pManager);
        virtual ~CKeyAssign();

        void ResetKey();
        BOOL IsKeyDefined() const { return m_bKeyDefined; }
        ACCEL* GetAccel() { return &m_accel; }
        virtual BOOL PreTranslateMessage(MSG* pMsg);

        BOOL m_bExtendedOnly;   // modifiers only: key-downs refresh the modifier bits
        BOOL m_bKeyDefined;
        ACCEL m_accel;
        CKeyHelper m_keyHelper;

    private:
        void SetModifiers();
    };

    explicit CXTPShortcutManager(CXTPCommandBars* pCommandBars);
    virtual ~CXTPShortcutManager();

    virtual BOOL FindDefaultAccelerator(UINT nCmd, CString& strShortcut);
    virtual CString Format(LPACCEL lpAccel, int* pPriority = NULL);
    virtual CString GetKeyName(UINT vk);
    virtual BOOL IsAccelAllowed(ACCEL accel);
    virtual BOOL OnBeforeAdd(LPACCEL pAccel);
    virtual BOOL OnBeforeRemove(LPACCEL pAccel);
    virtual void DoPropExchange(CXTPPropExchange* pPX);
    virtual HACCEL GetAcceleratorTable() const { return m_hAccelTable; }
    virtual void Reset();

    void LoadAccelerators(UINT nIDResource);
    void SetAccelerators(LPACCEL pAccel, int nCount);
    static HACCEL AFX_CDECL CopyAccelTable(HACCEL hAccelTable);
    HACCEL GetOriginalAccelerator() const { return m_hOriginalAccelTable; }

    void DisableShortcuts(BOOL bDisable);
    BOOL TranslateAccelerator(HWND hWnd, LPMSG lpMsg);

    void SaveShortcuts(LPCTSTR lpszSection);
    void LoadShortcuts(LPCTSTR lpszSection);

    static BOOL AFX_CDECL CompareAccelKey(TCHAR chAccel, UINT wParam);

    void SetAllowEscapeShortcut(BOOL bAllow) { m_bAllowEscapeShortcut = bAllow; }
    void UseSystemKeyNameText(BOOL bSystemKey) { m_bUseSystemKeyNameText = bSystemKey; }
    CXTPCommandBars* GetCommandBars() const { return m_pCommandBars; }

    // The largest table the stored forms may hold; longer counts are corrupt.
    enum { nMaxStoredAccels = 0x8000 };

    BOOL m_bAllowEscapeShortcut;
    BOOL m_bUseSystemKeyNameText;
    int m_nDisableShortcuts;

protected:
    // The key's name from the keyboard layout ("Page up"); empty for 0x03.
    CString GetLayoutKeyName(UINT vk) const;
    // The site frame's own table, for commands when no table is loaded here.
    HACCEL GetSiteAccelerators() const;
    // The working table's entries, copied once per table.
    const CArray<ACCEL, ACCEL&>& GetWorkingEntries();
    void SetWorkingTable(HACCEL hAccel);

    CXTPCommandBars* m_pCommandBars;
    HACCEL m_hAccelTable;
    HACCEL m_hOriginalAccelTable;
    CMap<UINT, UINT, CString, LPCTSTR>* m_pKeyNameMap;
    CArray<ACCEL, ACCEL&> m_arrWorkingEntries;
    BOOL m_bWorkingEntriesValid;
};

// Copies the entries of an accelerator table; empty for a null table.
void AFX_CDECL XTPGetAccelEntries(HACCEL hAccel, CArray<ACCEL, ACCEL&>& arrAccel);
