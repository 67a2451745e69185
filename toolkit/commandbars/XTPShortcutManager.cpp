// The keyboard shortcuts of the command bars.
#include "XTPShortcutManager.h"

CXTPShortcutManager::CXTPShortcutManager(CXTPCommandBars* pCommandBars)
    : m_nDisableShortcuts(0), m_pCommandBars(pCommandBars), m_hAccelTable(NULL), m_hOriginalAccelTable(NULL) {}
CXTPShortcutManager::~CXTPShortcutManager() {}
BOOL CXTPShortcutManager::FindDefaultAccelerator(UINT, CString&) { return FALSE; }
CString CXTPShortcutManager::Format(ACCEL*, int*) { return CString(); }
CString CXTPShortcutManager::GetKeyName(UINT) { return CString(); }
void CXTPShortcutManager::Reset() {}
void CXTPShortcutManager::LoadAccelerators(UINT) {}
void CXTPShortcutManager::SetAccelerators(ACCEL*, int) {}
HACCEL AFX_CDECL CXTPShortcutManager::CopyAccelTable(HACCEL) { return NULL; }
void CXTPShortcutManager::DisableShortcuts(BOOL) {}
BOOL CXTPShortcutManager::TranslateAccelerator(HWND, MSG*) { return FALSE; }
