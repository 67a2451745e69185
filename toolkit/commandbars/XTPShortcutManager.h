// The keyboard shortcuts of a frame's command bars: the accelerator table
// loaded from the program's resource and the working copy that is
// translated, and the display text of a command's shortcut.
#pragma once

#include "XTPCommandBarsDefines.h"

class CXTPCommandBars;

class CXTPShortcutManager : public CCmdTarget
{
public:
    explicit CXTPShortcutManager(CXTPCommandBars* pCommandBars);
    virtual ~CXTPShortcutManager();

    // The display text of the command's first shortcut; FALSE when none.
    virtual BOOL FindDefaultAccelerator(UINT nCmd, CString& strShortcut);
    // The text of one accelerator, such as "Ctrl+Shift+F5".
    virtual CString Format(ACCEL* pAccel, int* pPriority = NULL);
    virtual CString GetKeyName(UINT vk);
    virtual HACCEL GetAcceleratorTable() const { return m_hAccelTable; }
    virtual void Reset();

    // Loads the accelerator resource into both tables.
    void LoadAccelerators(UINT nIDResource);
    void SetAccelerators(ACCEL* pAccel, int nCount);
    static HACCEL AFX_CDECL CopyAccelTable(HACCEL hAccelTable);
    // The table's entries into arr; their count (0 for none or no table).
    static int AFX_CDECL ReadAccelTable(HACCEL hAccelTable, CArray<ACCEL, ACCEL&>& arr);
    HACCEL GetOriginalAccelerator() const { return m_hOriginalAccelTable; }
    void DisableShortcuts(BOOL bDisable);
    // Translates a key message for the frame window; FALSE when disabled.
    BOOL TranslateAccelerator(HWND hWnd, MSG* pMsg);

protected:
    int m_nDisableShortcuts;
    CXTPCommandBars* m_pCommandBars;
    HACCEL m_hAccelTable;
    HACCEL m_hOriginalAccelTable;
};
