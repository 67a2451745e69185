// The keyboard shortcuts of the command bars: the accelerator tables, their
// translation and the display text of a command's shortcut.
#include "XTPShortcutManager.h"

CXTPShortcutManager::CXTPShortcutManager(CXTPCommandBars* pCommandBars)
    : m_nDisableShortcuts(0)
    , m_pCommandBars(pCommandBars)
    , m_hAccelTable(NULL)
    , m_hOriginalAccelTable(NULL)
{
}

CXTPShortcutManager::~CXTPShortcutManager()
{
    if (m_hAccelTable != NULL)
        ::DestroyAcceleratorTable(m_hAccelTable);
    if (m_hOriginalAccelTable != NULL)
        ::DestroyAcceleratorTable(m_hOriginalAccelTable);
}

CString CXTPShortcutManager::GetKeyName(UINT vk)
{
    static const struct
    {
        UINT vk;
        LPCTSTR lpszName;
    } s_names[] = {
        { VK_BACK, _T("Backspace") }, { VK_TAB, _T("Tab") },       { VK_RETURN, _T("Enter") },
        { VK_PAUSE, _T("Pause") },    { VK_ESCAPE, _T("Esc") },    { VK_SPACE, _T("Space") },
        { VK_PRIOR, _T("Page Up") },  { VK_NEXT, _T("Page Down") }, { VK_END, _T("End") },
        { VK_HOME, _T("Home") },      { VK_LEFT, _T("Left Arrow") }, { VK_UP, _T("Up Arrow") },
        { VK_RIGHT, _T("Right Arrow") }, { VK_DOWN, _T("Down Arrow") }, { VK_INSERT, _T("Ins") },
        { VK_DELETE, _T("Del") },     { VK_HELP, _T("Help") },     { VK_MULTIPLY, _T("Num *") },
        { VK_ADD, _T("Num +") },      { VK_SUBTRACT, _T("Num -") }, { VK_DECIMAL, _T("Num .") },
        { VK_DIVIDE, _T("Num /") },
    };
    CString strName;
    if ((vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z'))
        strName = (TCHAR)vk;
    else if (vk >= VK_F1 && vk <= VK_F12)
        strName.Format(_T("F%d"), (int)(vk - VK_F1 + 1));
    else if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9)
        strName.Format(_T("Num %d"), (int)(vk - VK_NUMPAD0));
    else
    {
        for (size_t i = 0; i < sizeof(s_names) / sizeof(s_names[0]); i++)
        {
            if (s_names[i].vk == vk)
            {
                strName = s_names[i].lpszName;
                break;
            }
        }
    }
    return strName;
}

CString CXTPShortcutManager::Format(ACCEL* pAccel, int* pPriority)
{
    CString str;
    if (pAccel == NULL)
        return str;
    if (pAccel->fVirt & FCONTROL)
        str += _T("Ctrl+");
    if (pAccel->fVirt & FSHIFT)
        str += _T("Shift+");
    if (pAccel->fVirt & FALT)
        str += _T("Alt+");
    if (pAccel->fVirt & FVIRTKEY)
        str += GetKeyName(pAccel->key);
    else
        str += (TCHAR)pAccel->key;
    if (pPriority != NULL)
        *pPriority = (pAccel->fVirt & FCONTROL) ? 3 : ((pAccel->fVirt & FALT) ? 2 : 1);
    return str;
}

BOOL CXTPShortcutManager::FindDefaultAccelerator(UINT nCmd, CString& strShortcut)
{
    strShortcut.Empty();
    CArray<ACCEL, ACCEL&> arr;
    int nCount = ReadAccelTable(m_hAccelTable, arr);
    int nBest = -1;
    for (int i = 0; i < nCount; i++)
    {
        if (arr[i].cmd != nCmd)
            continue;
        int nPriority = 0;
        CString str = Format(&arr[i], &nPriority);
        if (nPriority > nBest)
        {
            nBest = nPriority;
            strShortcut = str;
        }
    }
    return nBest != -1;
}

void CXTPShortcutManager::Reset()
{
    if (m_hAccelTable != NULL)
        ::DestroyAcceleratorTable(m_hAccelTable);
    m_hAccelTable = CopyAccelTable(m_hOriginalAccelTable);
}

int AFX_CDECL CXTPShortcutManager::ReadAccelTable(HACCEL hAccelTable, CArray<ACCEL, ACCEL&>& arr)
{
    arr.RemoveAll();
    int nCount = hAccelTable != NULL ? ::CopyAcceleratorTable(hAccelTable, NULL, 0) : 0;
    if (nCount <= 0)
        return 0;
    arr.SetSize(nCount);
    return ::CopyAcceleratorTable(hAccelTable, arr.GetData(), nCount);
}

HACCEL AFX_CDECL CXTPShortcutManager::CopyAccelTable(HACCEL hAccelTable)
{
    CArray<ACCEL, ACCEL&> arr;
    int nCount = ReadAccelTable(hAccelTable, arr);
    return nCount > 0 ? ::CreateAcceleratorTable(arr.GetData(), nCount) : NULL;
}

void CXTPShortcutManager::LoadAccelerators(UINT nIDResource)
{
    if (m_hAccelTable != NULL)
        ::DestroyAcceleratorTable(m_hAccelTable);
    if (m_hOriginalAccelTable != NULL)
        ::DestroyAcceleratorTable(m_hOriginalAccelTable);
    m_hAccelTable = m_hOriginalAccelTable = NULL;
    HINSTANCE hInst = AfxFindResourceHandle(MAKEINTRESOURCE(nIDResource), RT_ACCELERATOR);
    if (hInst == NULL || ::FindResource(hInst, MAKEINTRESOURCE(nIDResource), RT_ACCELERATOR) == NULL)
        return;
    HACCEL hLoaded = ::LoadAccelerators(hInst, MAKEINTRESOURCE(nIDResource));
    m_hOriginalAccelTable = CopyAccelTable(hLoaded);
    m_hAccelTable = CopyAccelTable(hLoaded);
}

void CXTPShortcutManager::SetAccelerators(ACCEL* pAccel, int nCount)
{
    HACCEL hNew = (pAccel != NULL && nCount > 0) ? ::CreateAcceleratorTable(pAccel, nCount) : NULL;
    if (m_hAccelTable != NULL)
        ::DestroyAcceleratorTable(m_hAccelTable);
    m_hAccelTable = hNew;
}

void CXTPShortcutManager::DisableShortcuts(BOOL bDisable)
{
    m_nDisableShortcuts += bDisable ? 1 : -1;
}

BOOL CXTPShortcutManager::TranslateAccelerator(HWND hWnd, MSG* pMsg)
{
    if (m_nDisableShortcuts > 0 || m_hAccelTable == NULL || hWnd == NULL || pMsg == NULL)
        return FALSE;
    return ::TranslateAccelerator(hWnd, m_hAccelTable, pMsg) != 0;
}
