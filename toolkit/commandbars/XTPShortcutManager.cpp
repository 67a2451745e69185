// Keyboard shortcuts: the accelerator tables, their display texts and their
// saved forms.
#include "XTPShortcutManager.h"

#include "XTPCommandBars.h"
#include "XTPPropExchange.h"

namespace {

struct KeyNameRow
{
    WORD wKey;
    LPCTSTR lpszName;
};

// Display names of the virtual keys, in the order they are read into the map.
const KeyNameRow kKeyNames[] = {
    {'0', "0"}, {'1', "1"}, {'2', "2"}, {'3', "3"}, {'4', "4"},
    {'5', "5"}, {'6', "6"}, {'7', "7"}, {'8', "8"}, {'9', "9"},
    {'A', "A"}, {'B', "B"}, {'C', "C"}, {'D', "D"}, {'E', "E"}, {'F', "F"}, {'G', "G"},
    {'H', "H"}, {'I', "I"}, {'J', "J"}, {'K', "K"}, {'L', "L"}, {'M', "M"}, {'N', "N"},
    {'O', "O"}, {'P', "P"}, {'Q', "Q"}, {'R', "R"}, {'S', "S"}, {'T', "T"}, {'U', "U"},
    {'V', "V"}, {'W', "W"}, {'X', "X"}, {'Y', "Y"}, {'Z', "Z"},
    {0x01, "Left Button"}, {0x02, "Right Button"}, {0x03, "Ctrl+Break"}, {0x04, "Middle Button"},
    {0x08, "Backspace"}, {0x09, "Tab"}, {0x0C, "Clear"}, {0x0D, "Enter"},
    {0x10, "Shift"}, {0x11, "Ctrl"}, {0x12, "Alt"}, {0x13, "Pause"}, {0x14, "Caps Lock"},
    {0x1B, "Esc"}, {0x20, "Space"}, {0x21, "Page Up"}, {0x22, "Page Down"}, {0x23, "End"},
    {0x24, "Home"}, {0x25, "Left Arrow"}, {0x26, "Up Arrow"}, {0x27, "Right Arrow"},
    {0x28, "Down Arrow"}, {0x29, "Select"}, {0x2A, "Print"}, {0x2B, "Execute"},
    {0x2C, "Snapshot"}, {0x2D, "Ins"}, {0x2E, "Del"}, {0x2F, "Help"},
    {0x5B, "Left Windows"}, {0x5C, "Right Windows"}, {0x5D, "Application"},
    {0x6A, "Num *"}, {0x6B, "Num +"}, {0x6C, "Separator"}, {0x6D, "Num -"}, {0x6E, "Num ."},
    {0x6F, "Num /"},
    {0x70, "F1"}, {0x71, "F2"}, {0x72, "F3"}, {0x73, "F4"}, {0x74, "F5"}, {0x75, "F6"},
    {0x76, "F7"}, {0x77, "F8"}, {0x78, "F9"}, {0x79, "F10"}, {0x7A, "F11"}, {0x7B, "F12"},
    {0x60, "Num 0"}, {0x61, "Num 1"}, {0x62, "Num 2"}, {0x63, "Num 3"}, {0x64, "Num 4"},
    {0x65, "Num 5"}, {0x66, "Num 6"}, {0x67, "Num 7"}, {0x68, "Num 8"}, {0x69, "Num 9"},
    {0x90, "Num Lock"}, {0x91, "Scrl Lock"}, {0xF6, "Attn"}, {0xF7, "Crsel"}, {0xF8, "Exsel"},
    {0xF9, "Ereof"}, {0xFA, "Play"}, {0xFB, "Zoom"}, {0xFC, "No Name"}, {0xFD, "Pa1"},
    {0xFE, "Oem Clear"},
};
static_assert(sizeof(kKeyNames) / sizeof(kKeyNames[0]) == 108, "the key-name table has 108 rows");

TCHAR UpperChar(TCHAR ch)
{
    TCHAR sz[2] = {ch, 0};
    ::CharUpperA(sz);
    return sz[0];
}

} // namespace

void AFX_CDECL XTPGetAccelEntries(HACCEL hAccel, CArray<ACCEL, ACCEL&>& arrAccel)
{
    arrAccel.RemoveAll();
    if (hAccel == NULL)
        return;
    int nCount = ::CopyAcceleratorTableA(hAccel, NULL, 0);
    if (nCount <= 0)
        return;
    arrAccel.SetSize(nCount);
    int nCopied = ::CopyAcceleratorTableA(hAccel, arrAccel.GetData(), nCount);
    arrAccel.SetSize(nCopied > 0 ? nCopied : 0);
}

//////////////////////////////////////////////////////////////////////////
// CXTPShortcutManager::CKeyHelper

CXTPShortcutManager::CKeyHelper::CKeyHelper(LPACCEL pAccel, CXTPShortcutManager* pManager)
    : m_lpAccel(pAccel), m_pManager(pManager)
{
}

CXTPShortcutManager::CKeyHelper::~CKeyHelper()
{
}

void CXTPShortcutManager::CKeyHelper::Format(CString& str) const
{
    str.Empty();
    if (m_lpAccel == NULL || m_pManager == NULL)
        return;

    if (m_lpAccel->key != VK_CANCEL)
    {
        static const struct
        {
            BYTE fFlag;
            UINT vk;
        } kModifiers[] = {{FCONTROL, VK_CONTROL}, {FSHIFT, VK_SHIFT}, {FALT, VK_MENU}};
        for (const auto& modifier : kModifiers)
        {
            if ((m_lpAccel->fVirt & modifier.fFlag) == 0)
                continue;
            CString strName = m_pManager->GetKeyName(modifier.vk);
            if (!strName.IsEmpty())
                str += strName + "+";
        }
    }

    if (m_lpAccel->key != 0)
    {
        if (m_lpAccel->fVirt & FVIRTKEY)
        {
            str += m_pManager->GetKeyName(m_lpAccel->key);
        }
        else if (m_lpAccel->key != 0x1B && m_lpAccel->key != 0x09)
        {
            str += (TCHAR)LOBYTE(m_lpAccel->key);
        }
    }
    else if (!str.IsEmpty())
    {
        str.Delete(str.GetLength() - 1);
    }
}

int CXTPShortcutManager::CKeyHelper::Priority() const
{
    if (m_lpAccel == NULL)
        return 0;
    if (m_lpAccel->fVirt & FCONTROL)
        return 3;
    if (m_lpAccel->fVirt & FALT)
        return 2;
    if (m_lpAccel->fVirt & FSHIFT)
        return 1;
    return 4;
}

//////////////////////////////////////////////////////////////////////////
// CXTPShortcutManager::CKeyAssign

CXTPShortcutManager::CKeyAssign::CKeyAssign(CXTPShortcutManager* pManager)
    : m_bExtendedOnly(FALSE), m_bKeyDefined(FALSE), m_keyHelper(&m_accel, pManager)
{
    memset(&m_accel, 0, sizeof(m_accel));
}

CXTPShortcutManager::CKeyAssign::~CKeyAssign()
{
}

void CXTPShortcutManager::CKeyAssign::ResetKey()
{
    memset(&m_accel, 0, sizeof(m_accel));
    m_bKeyDefined = FALSE;
    if (m_hWnd != NULL)
        SetWindowText("");
}

void CXTPShortcutManager::CKeyAssign::SetModifiers()
{
    m_accel.fVirt &= ~(FSHIFT | FCONTROL | FALT);
    if (::GetKeyState(VK_SHIFT) < 0)
        m_accel.fVirt |= FSHIFT;
    if (::GetKeyState(VK_CONTROL) < 0)
        m_accel.fVirt |= FCONTROL;
    if (::GetKeyState(VK_MENU) < 0)
        m_accel.fVirt |= FALT;
}

BOOL CXTPShortcutManager::CKeyAssign::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_LBUTTONDOWN || pMsg->message == WM_MBUTTONDOWN || pMsg->message == WM_RBUTTONDOWN)
    {
        SetFocus();
        return TRUE;
    }

    BOOL bKeyDown = pMsg->message == WM_KEYDOWN || pMsg->message == WM_SYSKEYDOWN;
    BOOL bKeyUp = pMsg->message == WM_KEYUP || pMsg->message == WM_SYSKEYUP;
    if (!bKeyDown && !bKeyUp)
        return CEdit::PreTranslateMessage(pMsg);

    UINT nChar = (UINT)pMsg->wParam;
    // Tab alone still moves the focus through the dialog.
    if (nChar == VK_TAB && ::GetKeyState(VK_CONTROL) >= 0 && ::GetKeyState(VK_MENU) >= 0)
    {
        if (!m_bKeyDefined)
            ResetKey();
        return FALSE;
    }

    // Each fresh key press starts a new chord; auto-repeats do not.
    if (bKeyDown && (pMsg->lParam & 0x40000000) == 0)
        ResetKey();

    if (m_bExtendedOnly)
    {
        if (bKeyDown)
            SetModifiers();
    }
    else if (!m_bKeyDefined)
    {
        SetModifiers();
        if (bKeyDown && nChar != VK_SHIFT && nChar != VK_CONTROL && nChar != VK_MENU)
        {
            m_accel.key = (WORD)nChar;
            m_accel.fVirt |= FVIRTKEY;
            m_bKeyDefined = TRUE;
        }
    }

    CXTPShortcutManager* pManager = m_keyHelper.m_pManager;
    if (pManager != NULL && !pManager->IsAccelAllowed(m_accel))
    {
        ResetKey();
        return TRUE;
    }

    CString strKey;
    m_keyHelper.Format(strKey);
    SetWindowText(strKey);
    return TRUE;
}

//////////////////////////////////////////////////////////////////////////
// CXTPShortcutManager

CXTPShortcutManager::CXTPShortcutManager(CXTPCommandBars* pCommandBars)
    : m_bAllowEscapeShortcut(FALSE), m_bUseSystemKeyNameText(FALSE), m_nDisableShortcuts(0),
      m_pCommandBars(pCommandBars), m_hAccelTable(NULL), m_hOriginalAccelTable(NULL), m_pKeyNameMap(NULL),
      m_bWorkingEntriesValid(FALSE)
{
    m_pKeyNameMap = new CMap<UINT, UINT, CString, LPCTSTR>(10);
    m_pKeyNameMap->InitHashTable(17);
    for (const KeyNameRow& row : kKeyNames)
        m_pKeyNameMap->SetAt(row.wKey, row.lpszName);
}

CXTPShortcutManager::~CXTPShortcutManager()
{
    if (m_hAccelTable != NULL)
        ::DestroyAcceleratorTable(m_hAccelTable);
    if (m_hOriginalAccelTable != NULL)
        ::DestroyAcceleratorTable(m_hOriginalAccelTable);
    delete m_pKeyNameMap;
}

CString CXTPShortcutManager::GetLayoutKeyName(UINT vk) const
{
    if (vk == VK_CANCEL)
        return CString();

    UINT nScanCode = ::MapVirtualKeyExA(vk, 0, ::GetKeyboardLayout(0));
    LPARAM lParam = (LPARAM)(((DWORD)nScanCode << 16) | 1);
    // Page Up to Help sit on the extended keys.
    if (vk >= VK_PRIOR && vk <= VK_HELP)
        lParam |= 0x01000000;

    TCHAR szName[50] = {0};
    if (::GetKeyNameTextA((LONG)lParam, szName, _countof(szName)) <= 0)
        return CString();

    CString strName(szName);
    strName.MakeLower();
    for (int i = 0; i < strName.GetLength(); i++)
    {
        if (::IsCharLowerA(strName[i]))
        {
            strName.SetAt(i, UpperChar(strName[i]));
            break;
        }
    }
    return strName;
}

CString CXTPShortcutManager::GetKeyName(UINT vk)
{
    CString strName;
    if (m_bUseSystemKeyNameText)
        strName = GetLayoutKeyName(vk);
    if (strName.IsEmpty() && m_pKeyNameMap != NULL)
        m_pKeyNameMap->Lookup(vk, strName);
    if (strName.IsEmpty() && !m_bUseSystemKeyNameText)
        strName = GetLayoutKeyName(vk);
    return strName;
}

CString CXTPShortcutManager::Format(LPACCEL lpAccel, int* pPriority)
{
    CKeyHelper helper(lpAccel, this);
    CString str;
    helper.Format(str);
    if (pPriority != NULL)
        *pPriority = helper.Priority();
    return str;
}

BOOL CXTPShortcutManager::IsAccelAllowed(ACCEL accel)
{
    if ((accel.fVirt & (FSHIFT | FCONTROL | FALT)) == 0 && (accel.fVirt & FVIRTKEY) && accel.key == VK_ESCAPE)
        return m_bAllowEscapeShortcut;
    return TRUE;
}

BOOL CXTPShortcutManager::OnBeforeAdd(LPACCEL /*pAccel*/)
{
    return FALSE;
}

BOOL CXTPShortcutManager::OnBeforeRemove(LPACCEL /*pAccel*/)
{
    return FALSE;
}

void CXTPShortcutManager::SetWorkingTable(HACCEL hAccel)
{
    if (m_hAccelTable != NULL && m_hAccelTable != hAccel)
        ::DestroyAcceleratorTable(m_hAccelTable);
    m_hAccelTable = hAccel;
    m_bWorkingEntriesValid = FALSE;
}

const CArray<ACCEL, ACCEL&>& CXTPShortcutManager::GetWorkingEntries()
{
    if (!m_bWorkingEntriesValid)
    {
        XTPGetAccelEntries(m_hAccelTable, m_arrWorkingEntries);
        m_bWorkingEntriesValid = TRUE;
    }
    return m_arrWorkingEntries;
}

BOOL CXTPShortcutManager::FindDefaultAccelerator(UINT nCmd, CString& strShortcut)
{
    CArray<ACCEL, ACCEL&> arrSite;
    const CArray<ACCEL, ACCEL&>* pEntries = NULL;
    if (m_hAccelTable != NULL)
    {
        pEntries = &GetWorkingEntries();
    }
    else
    {
        if (m_hOriginalAccelTable != NULL)
            return FALSE;
        XTPGetAccelEntries(GetSiteAccelerators(), arrSite);
        pEntries = &arrSite;
    }

    // The first entry of the highest priority wins; texts are made only
    // when the caller's text must be compared.
    int nFound = -1;
    int nFoundPriority = 0;
    BOOL bEqualsCaller = FALSE;
    for (INT_PTR i = 0; i < pEntries->GetSize(); i++)
    {
        ACCEL accel = pEntries->GetAt(i);
        if (accel.cmd != nCmd)
            continue;
        int nPriority = CKeyHelper(&accel, this).Priority();
        if (!strShortcut.IsEmpty() && !bEqualsCaller && Format(&accel, NULL) == strShortcut)
            bEqualsCaller = TRUE;
        if (nFound == -1 || nPriority > nFoundPriority)
        {
            nFound = (int)i;
            nFoundPriority = nPriority;
        }
    }

    if (nFound == -1)
    {
        strShortcut.Empty();
        return FALSE;
    }
    if (!bEqualsCaller)
    {
        ACCEL accel = pEntries->GetAt(nFound);
        strShortcut = Format(&accel, NULL);
    }
    return TRUE;
}

void CXTPShortcutManager::Reset()
{
    SetWorkingTable(CopyAccelTable(m_hOriginalAccelTable));
}

HACCEL AFX_CDECL CXTPShortcutManager::CopyAccelTable(HACCEL hAccelTable)
{
    CArray<ACCEL, ACCEL&> arrAccel;
    XTPGetAccelEntries(hAccelTable, arrAccel);
    if (arrAccel.GetSize() == 0)
        return NULL;
    return ::CreateAcceleratorTableA(arrAccel.GetData(), (int)arrAccel.GetSize());
}

void CXTPShortcutManager::LoadAccelerators(UINT nIDResource)
{
    SetWorkingTable(NULL);
    if (m_hOriginalAccelTable != NULL)
        ::DestroyAcceleratorTable(m_hOriginalAccelTable);
    m_hOriginalAccelTable = NULL;

    HINSTANCE hInst = AfxFindResourceHandle(MAKEINTRESOURCE(nIDResource), RT_ACCELERATOR);
    if (hInst == NULL || ::FindResourceA(hInst, MAKEINTRESOURCE(nIDResource), RT_ACCELERATOR) == NULL)
        return;

    // Tables loaded from a resource are shared by the module; keep two copies of our own.
    HACCEL hResource = ::LoadAcceleratorsA(hInst, MAKEINTRESOURCE(nIDResource));
    if (hResource == NULL)
        return;
    m_hOriginalAccelTable = CopyAccelTable(hResource);
    SetWorkingTable(CopyAccelTable(hResource));
}

void CXTPShortcutManager::SetAccelerators(LPACCEL pAccel, int nCount)
{
    HACCEL hAccel = NULL;
    if (pAccel != NULL && nCount > 0)
        hAccel = ::CreateAcceleratorTableA(pAccel, nCount);
    SetWorkingTable(hAccel);
}

void CXTPShortcutManager::DisableShortcuts(BOOL bDisable)
{
    m_nDisableShortcuts += bDisable ? 1 : -1;
}

BOOL CXTPShortcutManager::TranslateAccelerator(HWND hWnd, LPMSG lpMsg)
{
    if (m_nDisableShortcuts > 0 || m_hAccelTable == NULL)
        return FALSE;
    return ::TranslateAcceleratorA(hWnd, m_hAccelTable, lpMsg) != 0;
}

void CXTPShortcutManager::SaveShortcuts(LPCTSTR lpszSection)
{
    if (m_hOriginalAccelTable == NULL)
        return;
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL)
        return;

    CArray<ACCEL, ACCEL&> arrAccel;
    XTPGetAccelEntries(m_hAccelTable, arrAccel);
    BYTE bEmpty = 0;
    LPBYTE pData = arrAccel.GetSize() > 0 ? (LPBYTE)arrAccel.GetData() : &bEmpty;
    if (!pApp->WriteProfileBinary(lpszSection, "Accelerators", pData, (UINT)(arrAccel.GetSize() * sizeof(ACCEL))))
        ::OutputDebugStringA("CXTPShortcutManager: the shortcuts cannot be saved\n");
}

void CXTPShortcutManager::LoadShortcuts(LPCTSTR lpszSection)
{
    if (m_hOriginalAccelTable == NULL)
        return;
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL)
        return;

    LPBYTE pData = NULL;
    UINT nBytes = 0;
    if (!pApp->GetProfileBinary(lpszSection, "Accelerators", &pData, &nBytes))
        return;

    // The value is a whole number of 6-byte records; anything else is not a
    // shortcut table, and the table in use is kept.
    if (nBytes % sizeof(ACCEL) != 0 || nBytes / sizeof(ACCEL) > (UINT)nMaxStoredAccels)
        ::OutputDebugStringA("CXTPShortcutManager: the stored shortcuts are corrupt; the defaults are kept\n");
    else
        SetAccelerators((LPACCEL)pData, (int)(nBytes / sizeof(ACCEL)));
    delete[] pData;
}

void CXTPShortcutManager::DoPropExchange(CXTPPropExchange* pPX)
{
    if (pPX->IsStoring())
    {
        CArray<ACCEL, ACCEL&> arrAccel;
        arrAccel.Copy(GetWorkingEntries());
        DWORD nCount = (DWORD)arrAccel.GetSize();

        if (pPX->IsBinaryStore())
        {
            pPX->WriteCount(nCount);
            BYTE bEmpty = 0;
            pPX->WriteBlock("Data", nCount > 0 ? (BYTE*)arrAccel.GetData() : &bEmpty, nCount * sizeof(ACCEL));
            return;
        }

        CXTPPropExchangeEnumeratorPtr pEnumerator(pPX->CreateEnumerator("Accel"));
        POSITION pos = pEnumerator->GetPosition(nCount);
        for (DWORD i = 0; i < nCount && pos != NULL; i++)
        {
            CXTPPropExchangeSection secItem(pEnumerator->GetNext(pos));
            ACCEL& accel = arrAccel[i];
            PropExchangeShort(secItem, "Id", (short&)accel.cmd, 0);
            PropExchangeByte(secItem, "virt", accel.fVirt, 0);
            PropExchangeShort(secItem, "key", (short&)accel.key, 0);
        }
        return;
    }

    CArray<ACCEL, ACCEL&> arrAccel;
    if (pPX->IsBinaryStore())
    {
        DWORD nCount = pPX->ReadCount();
        if (nCount > (DWORD)nMaxStoredAccels)
        {
            ::OutputDebugStringA("CXTPShortcutManager: the stored shortcut count is corrupt\n");
            return;
        }

        CXTPPropExchangeArchive* pArchivePX = dynamic_cast<CXTPPropExchangeArchive*>(pPX);
        if (pArchivePX != NULL)
        {
            // The archive holds the records without a length of their own:
            // the count may not promise more than the archive still holds.
            ULONGLONG nLeft = 0;
            if (pArchivePX->GetArchive().GetBytesLeft(nLeft) && nLeft < (ULONGLONG)nCount * sizeof(ACCEL))
            {
                ::OutputDebugStringA("CXTPShortcutManager: the stored shortcuts are truncated\n");
                return;
            }
            arrAccel.SetSize(nCount);
            if (nCount > 0 &&
                pPX->ReadBlock("Data", (BYTE*)arrAccel.GetData(), nCount * sizeof(ACCEL)) != nCount * sizeof(ACCEL))
            {
                ::OutputDebugStringA("CXTPShortcutManager: the stored shortcuts are truncated\n");
                return;
            }
        }
        else
        {
            // Other binary stores keep the records as one value of its own
            // length, which bounds the count.
            BYTE* pData = NULL;
            DWORD nBytes = 0;
            if (!pPX->ExchangeBlob("Data", pData, nBytes))
            {
                if (nCount != 0)
                    return;   // no records: the table in use is kept
            }
            else if (nBytes % sizeof(ACCEL) != 0)
            {
                ::OutputDebugStringA("CXTPShortcutManager: the stored shortcuts are corrupt\n");
                free(pData);
                return;
            }
            DWORD nStored = nBytes / sizeof(ACCEL);
            if (nCount > nStored)
                nCount = nStored;
            arrAccel.SetSize(nCount);
            if (nCount > 0)
                memcpy(arrAccel.GetData(), pData, nCount * sizeof(ACCEL));
            free(pData);
        }
    }
    else
    {
        CXTPPropExchangeEnumeratorPtr pEnumerator(pPX->CreateEnumerator("Accel"));
        POSITION pos = pEnumerator->GetPosition();
        while (pos != NULL && arrAccel.GetSize() < nMaxStoredAccels)
        {
            CXTPPropExchangeSection secItem(pEnumerator->GetNext(pos));
            ACCEL accel = {0, 0, 0};
            // A missing entry ends the list.
            short nId = 0;
            if (!secItem->ExchangeValue("Id", VT_I2, &nId, NULL))
                break;
            accel.cmd = (WORD)nId;
            PropExchangeByte(secItem, "virt", accel.fVirt, 0);
            PropExchangeShort(secItem, "key", (short&)accel.key, 0);
            arrAccel.Add(accel);
        }
    }

    SetAccelerators(arrAccel.GetSize() > 0 ? arrAccel.GetData() : NULL, (int)arrAccel.GetSize());
}

BOOL AFX_CDECL CXTPShortcutManager::CompareAccelKey(TCHAR chAccel, UINT wParam)
{
    if (::MapVirtualKeyA(wParam, 2) == 0)
        return FALSE;
    if ((UINT)(BYTE)chAccel == wParam || (UINT)(BYTE)UpperChar(chAccel) == wParam)
        return TRUE;

    HKL arrLayouts[16];
    int nLayouts = ::GetKeyboardLayoutList(_countof(arrLayouts), arrLayouts);
    if (nLayouts < 2)
        return FALSE;

    BYTE keyState[256];
    if (!::GetKeyboardState(keyState))
        return FALSE;
    for (int i = 0; i < nLayouts; i++)
    {
        WORD wChar = 0;
        if (::ToAsciiEx(wParam, 0, keyState, &wChar, 0, arrLayouts[i]) == 1)
        {
            TCHAR ch = (TCHAR)LOBYTE(wChar);
            if (ch == chAccel || UpperChar(ch) == UpperChar(chAccel))
                return TRUE;
        }
    }
    return FALSE;
}

HACCEL CXTPShortcutManager::GetSiteAccelerators() const
{
    CFrameWnd* pFrame = m_pCommandBars != NULL ? DYNAMIC_DOWNCAST(CFrameWnd, m_pCommandBars->GetSite()) : NULL;
    return pFrame != NULL ? pFrame->m_hAccelTable : NULL;
}
