// The "Keyboard" page of the customize sheet.
#include "XTPCustomizeKeyboardPage.h"

#include "XTPCommandBar.h"
#include "XTPCommandBars.h"
#include "XTPControl.h"
#include "XTPControls.h"
#include "XTPResourceManager.h"
#include "../../resources/customize_editor_res.h"

#include <algorithm>
#include <map>
#include <vector>

IMPLEMENT_DYNAMIC(CXTPCustomizeKeyboardPage, CPropertyPage)

namespace
{
// The recent-file entries never get a shortcut of their own.
const int kFirstRecentFile = 0xE110;
const int kLastRecentFile = 0xE11F;

// Two chords are the same key when key and flags match; FNOINVERT (2) is
// only a display hint and does not count.
BOOL IsSameChord(const ACCEL& a, const ACCEL& b)
{
    return a.key == b.key && (a.fVirt & ~FNOINVERT) == (b.fVirt & ~FNOINVERT);
}
} // namespace

BEGIN_MESSAGE_MAP(CXTPCustomizeKeyboardPage, CPropertyPage)
    ON_CBN_SELCHANGE(XTP_IDC_KEYBOARD_CATEGORY, OnCategoryChanged)
    ON_LBN_SELCHANGE(XTP_IDC_KEYBOARD_COMMANDS, OnCommandChanged)
    ON_LBN_SELCHANGE(XTP_IDC_KEYBOARD_KEYS, OnKeyChanged)
    ON_EN_CHANGE(XTP_IDC_KEYBOARD_NEWKEY, OnNewKeyChanged)
    ON_BN_CLICKED(XTP_IDC_KEYBOARD_ASSIGN, OnAssign)
    ON_BN_CLICKED(XTP_IDC_KEYBOARD_REMOVE, OnRemove)
    ON_BN_CLICKED(XTP_IDC_KEYBOARD_RESETALL, OnResetAll)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CXTPCustomizeKeyboardPage::CXTPCustomizeKeyboardPage(CXTPCommandBars* pCommandBars)
    : CPropertyPage(XTP_IDD_PAGE_KEYBOARD), m_nCategory(0),
      m_editShortcutKey(pCommandBars != NULL ? pCommandBars->GetShortcutManager() : NULL),
      m_pCommandBars(pCommandBars)
{
    // The template comes through the resource manager, so that a program
    // can supply its own.
    XTPResourceManager()->LoadPageTemplate(m_psp);
}

CXTPCustomizeKeyboardPage::~CXTPCustomizeKeyboardPage()
{
    for (INT_PTR i = 0; i < m_arrCategories.GetSize(); i++)
        delete m_arrCategories[i];
    m_arrCategories.RemoveAll();
}

CXTPShortcutManager* CXTPCustomizeKeyboardPage::GetShortcutManager() const
{
    return m_pCommandBars != NULL ? m_pCommandBars->GetShortcutManager() : NULL;
}

// ---------------------------------------------------------------------------
// Categories

XTP_COMMANDBARS_CATEGORYINFO* CXTPCustomizeKeyboardPage::FindCategory(LPCTSTR lpszCategory) const
{
    for (INT_PTR i = 0; i < m_arrCategories.GetSize(); i++)
    {
        if (m_arrCategories[i]->strCategory == lpszCategory)
            return m_arrCategories[i];
    }
    return NULL;
}

XTP_COMMANDBARS_CATEGORYINFO* CXTPCustomizeKeyboardPage::GetCategoryInfo(int nIndex) const
{
    if (nIndex < 0 || nIndex >= m_arrCategories.GetSize())
        return NULL;
    return m_arrCategories[nIndex];
}

XTP_COMMANDBARS_CATEGORYINFO* CXTPCustomizeKeyboardPage::AddCategory(LPCTSTR lpszCategory, int nIndex)
{
    XTP_COMMANDBARS_CATEGORYINFO* pInfo = new XTP_COMMANDBARS_CATEGORYINFO(lpszCategory, m_pCommandBars);
    if (nIndex < 0 || nIndex >= m_arrCategories.GetSize())
        m_arrCategories.Add(pInfo);
    else
        m_arrCategories.InsertAt(nIndex, pInfo);
    return pInfo;
}

BOOL CXTPCustomizeKeyboardPage::AddCategories(UINT nIDResource, BOOL bListSubItems)
{
    CMenu menu;
    if (!XTPResourceManager()->LoadMenu(&menu, nIDResource))
        return FALSE;

    const int nCount = menu.GetMenuItemCount();
    for (int i = 0; i < nCount; i++)
    {
        CString strCaption;
        menu.GetMenuString((UINT)i, strCaption, MF_BYPOSITION);
        CMenu* pSubMenu = menu.GetSubMenu(i);
        if (strCaption.IsEmpty() || pSubMenu == NULL)
            continue;

        CString strCategory = XTPStripMenuAmpersands(strCaption);
        XTP_COMMANDBARS_CATEGORYINFO* pInfo = FindCategory(strCategory);
        if (pInfo == NULL)
            pInfo = AddCategory(strCategory);

        const int nItems = pSubMenu->GetMenuItemCount();
        for (int j = 0; j < nItems; j++)
        {
            // Separators have id 0; a nested popup answers -1 and is kept.
            if (pSubMenu->GetMenuItemID(j) == 0)
                continue;
            CXTPControl* pControl = pInfo->pControls->AddMenuItem(pSubMenu, j);
            if (pControl == NULL || !bListSubItems || pControl->GetType() != xtpControlPopup)
                continue;

            CXTPCommandBar* pPopupBar = pControl->GetCommandBar();
            if (pPopupBar == NULL)
                continue;
            CXTPControls* pPopupControls = pPopupBar->GetControls();
            for (int k = 0; k < pPopupControls->GetCount(); k++)
            {
                CXTPControl* pSubControl = pInfo->pControls->AddClone(pPopupControls->GetAt(k));
                if (pSubControl != NULL)
                    pSubControl->SetCaption(pControl->GetCaption() + _T(" | ") + pSubControl->GetCaption());
            }
        }
    }
    menu.DestroyMenu();
    return TRUE;
}

// ---------------------------------------------------------------------------
// Dialog

void CXTPCustomizeKeyboardPage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    // The keys list is the system's list box as it is, not subclassed: a
    // command may have thousands of keys, each costing a message to list
    // and one more to give it its data, and each then goes straight to the
    // list. It is let go when the page's window goes.
    if (m_lboxKeys.m_hWnd == NULL && !m_lboxKeys.Attach(pDX->PrepareCtrl(XTP_IDC_KEYBOARD_KEYS)))
        AfxThrowNotSupportedException();
    DDX_Control(pDX, XTP_IDC_KEYBOARD_COMMANDS, m_lboxCommands);
    DDX_Control(pDX, XTP_IDC_KEYBOARD_CATEGORY, m_comboCategory);
    DDX_Text(pDX, XTP_IDC_KEYBOARD_DESCRIPTION, m_strDesc);
    DDX_CBIndex(pDX, XTP_IDC_KEYBOARD_CATEGORY, m_nCategory);
    DDX_Control(pDX, XTP_IDC_KEYBOARD_NEWKEY, m_editShortcutKey);
}

BOOL CXTPCustomizeKeyboardPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();

    for (INT_PTR i = 0; i < m_arrCategories.GetSize(); i++)
    {
        int nItem = m_comboCategory.AddString(m_arrCategories[i]->strCategory);
        if (nItem >= 0)
            m_comboCategory.SetItemDataPtr(nItem, m_arrCategories[i]->pControls);
    }
    if (m_comboCategory.GetCount() > 0)
        m_comboCategory.SetCurSel(0);

    if (m_pCommandBars != NULL && m_pCommandBars->IsLayoutRTL())
    {
        m_lboxCommands.ModifyStyleEx(0, WS_EX_RIGHT | WS_EX_RTLREADING | WS_EX_LEFTSCROLLBAR);
        m_comboCategory.ModifyStyleEx(0, WS_EX_RIGHT | WS_EX_RTLREADING | WS_EX_LEFTSCROLLBAR);
    }

    // The new list is empty.
    m_arrShownKeys.clear();
    OnCategoryChanged();
    return FALSE;
}

void CXTPCustomizeKeyboardPage::OnDestroy()
{
    if (m_lboxKeys.m_hWnd != NULL)
        m_lboxKeys.Detach();
    CPropertyPage::OnDestroy();
}

BOOL CXTPCustomizeKeyboardPage::OnSetActive()
{
    UpdateData(FALSE);
    ReloadCommands();
    // The commands list selects its first command again: the keys and the
    // description follow it (the table may have changed meanwhile too, and
    // the keys are formatted afresh).
    ReloadKeys(TRUE);
    // ReloadKeys sets the buttons itself when a command is selected.
    if (GetSelectedControl() == NULL)
        EnableControls();
    return CPropertyPage::OnSetActive();
}

// ---------------------------------------------------------------------------
// Lists

CXTPControl* CXTPCustomizeKeyboardPage::GetSelectedControl() const
{
    if (m_lboxCommands.GetSafeHwnd() == NULL)
        return NULL;
    int nIndex = m_lboxCommands.GetCurSel();
    if (nIndex == LB_ERR)
        return NULL;
    return (CXTPControl*)m_lboxCommands.GetItemDataPtr(nIndex);
}

void CXTPCustomizeKeyboardPage::ReloadCommands()
{
    if (m_comboCategory.GetSafeHwnd() == NULL)
        return;
    int nCategory = m_comboCategory.GetCurSel();
    if (nCategory == CB_ERR)
        return;
    CXTPControls* pControls = (CXTPControls*)m_comboCategory.GetItemDataPtr(nCategory);
    if (pControls == NULL || pControls == (CXTPControls*)(INT_PTR)-1)
        return;

    // Drawn and its scroll bar set once, when it is full.
    m_lboxCommands.SetRedraw(FALSE);
    m_lboxCommands.ResetContent();
    for (int i = 0; i < pControls->GetCount(); i++)
    {
        CXTPControl* pControl = pControls->GetAt(i);
        const int nId = pControl->GetID();
        if (nId == 0 || pControl->GetType() == xtpControlPopup || pControl->GetType() == xtpControlButtonPopup)
            continue;
        if (nId >= kFirstRecentFile && nId <= kLastRecentFile)
            continue;
        int nItem = m_lboxCommands.AddString(XTPStripMenuAmpersands(pControl->GetCaption()));
        if (nItem >= 0)
            m_lboxCommands.SetItemDataPtr(nItem, pControl);
    }
    if (m_lboxCommands.GetCount() > 0)
        m_lboxCommands.SetCurSel(0);
    m_lboxCommands.SetRedraw(TRUE);
    m_lboxCommands.Invalidate();
}

void CXTPCustomizeKeyboardPage::ReloadKeys(BOOL bRefill)
{
    if (m_hWnd == NULL)
        return;
    CXTPControl* pControl = GetSelectedControl();
    CXTPShortcutManager* pManager = GetShortcutManager();

    CArray<ACCEL, ACCEL&> arrAccel;
    std::vector<KeyEntry> arrKeys;
    if (pControl != NULL && pManager != NULL && pManager->GetAcceleratorTable() != NULL)
    {
        XTPGetAccelEntries(pManager->GetAcceleratorTable(), arrAccel);
        for (INT_PTR i = 0; i < arrAccel.GetSize(); i++)
        {
            if ((int)arrAccel[i].cmd == pControl->GetID())
            {
                KeyEntry entry = {i, arrAccel[i].fVirt, arrAccel[i].key};
                arrKeys.push_back(entry);
            }
        }
    }

    // A table holds few different chords however long it is: each is
    // formatted once.
    std::map<DWORD, CString> mapTexts;
    auto Text = [&](const KeyEntry& entry) -> const CString& {
        const DWORD dwChord = ((DWORD)entry.fVirt << 16) | entry.key;
        std::map<DWORD, CString>::iterator it = mapTexts.find(dwChord);
        if (it == mapTexts.end())
            it = mapTexts.insert(std::make_pair(dwChord, pManager->Format(&arrAccel[entry.nIndex]))).first;
        return it->second;
    };

    const std::vector<KeyEntry>& arrShown = m_arrShownKeys;
    // An item shows its chord: one that shows the same chord keeps its
    // text and needs at most its entry's index as its new data.
    auto Same = [&](size_t nShown, size_t nKey) {
        return arrShown[nShown].fVirt == arrKeys[nKey].fVirt && arrShown[nShown].key == arrKeys[nKey].key;
    };
    // What a change costs, in messages: an item inserted is one and its
    // data another (a new item's data is 0); an item removed is one, and
    // one more to the page when its data is not 0; an item kept costs its
    // new data when its index changed.
    auto InsertCost = [&](size_t nKey) -> size_t { return arrKeys[nKey].nIndex != 0 ? 2 : 1; };
    auto DeleteCost = [&](size_t nShown) -> size_t { return arrShown[nShown].nIndex != 0 ? 2 : 1; };
    auto KeepCost = [&](size_t nShown, size_t nKey) -> size_t {
        return arrShown[nShown].nIndex != arrKeys[nKey].nIndex ? 1 : 0;
    };
    const size_t nOld = arrShown.size(), nNew = arrKeys.size();
    const size_t nMin = std::min(nOld, nNew);
    // A refill empties the list at once and inserts every key; a change is
    // made in place when it costs less. The list can be trusted to hold
    // what was shown unless a program's template sorts it.
    size_t nRefillCost = 2;
    for (size_t i = 0; i < nOld; i++)
        nRefillCost += DeleteCost(i) - 1;
    for (size_t i = 0; i < nNew; i++)
        nRefillCost += InsertCost(i);
    const BOOL bTrusted = !bRefill && (m_lboxKeys.GetStyle() & LBS_SORT) == 0 &&
                          (size_t)m_lboxKeys.GetCount() == nOld;

    // In place item by item (a removed key whose place the last entry
    // takes, keys added or removed at the end), ...
    size_t nAlignedCost = nRefillCost;
    // ... or one run replaced between a common start and a common end (a
    // key that moves here from another command).
    size_t nPrefix = 0, nSuffix = 0, nRunCost = nRefillCost;
    if (bTrusted)
    {
        nAlignedCost = 0;
        for (size_t i = 0; i < nMin && nAlignedCost < nRefillCost; i++)
            nAlignedCost += Same(i, i) ? KeepCost(i, i) : DeleteCost(i) + InsertCost(i);
        for (size_t i = nNew; i < nOld && nAlignedCost < nRefillCost; i++)
            nAlignedCost += DeleteCost(i);
        for (size_t i = nOld; i < nNew && nAlignedCost < nRefillCost; i++)
            nAlignedCost += InsertCost(i);

        while (nPrefix < nMin && Same(nPrefix, nPrefix))
            nPrefix++;
        while (nPrefix + nSuffix < nMin && Same(nOld - 1 - nSuffix, nNew - 1 - nSuffix))
            nSuffix++;
        nRunCost = 0;
        for (size_t i = 0; i < nPrefix; i++)
            nRunCost += KeepCost(i, i);
        for (size_t i = 1; i <= nSuffix; i++)
            nRunCost += KeepCost(nOld - i, nNew - i);
        for (size_t i = nPrefix; i < nOld - nSuffix; i++)
            nRunCost += DeleteCost(i);
        for (size_t i = nPrefix; i < nNew - nSuffix; i++)
            nRunCost += InsertCost(i);
    }

    // Each item's data is the index of its entry in the working table.
    auto Insert = [&](int nPos, size_t nKey) {
        int nItem = m_lboxKeys.InsertString(nPos, Text(arrKeys[nKey]));
        if (nItem >= 0 && arrKeys[nKey].nIndex != 0)
            m_lboxKeys.SetItemData(nItem, (DWORD_PTR)arrKeys[nKey].nIndex);
    };
    auto Keep = [&](size_t nShown, size_t nKey) {
        if (KeepCost(nShown, nKey) != 0)
            m_lboxKeys.SetItemData((int)nKey, (DWORD_PTR)arrKeys[nKey].nIndex);
    };
    auto Reserve = [&](size_t nCount) {
        if (nCount > 0)
            m_lboxKeys.InitStorage((int)nCount, (UINT)nCount * 16);
    };

    // The list neither repaints nor resizes its scroll bar for each key
    // changed: it is drawn once when it is done.
    m_lboxKeys.SetRedraw(FALSE);
    if (nAlignedCost < nRefillCost && nAlignedCost <= nRunCost)
    {
        for (size_t i = 0; i < nMin; i++)
        {
            if (Same(i, i))
            {
                Keep(i, i);
                continue;
            }
            m_lboxKeys.DeleteString((UINT)i);
            Insert((int)i, i);
        }
        for (size_t i = nOld; i > nNew; i--)
            m_lboxKeys.DeleteString((UINT)(i - 1));
        // Room for the keys added, made at once rather than key by key.
        if (nNew > nOld)
            Reserve(nNew - nOld);
        for (size_t i = nOld; i < nNew; i++)
            Insert(-1, i);
    }
    else if (nRunCost < nRefillCost)
    {
        for (size_t i = 0; i < nPrefix; i++)
            Keep(i, i);
        for (size_t i = nPrefix; i < nOld - nSuffix; i++)
            m_lboxKeys.DeleteString((UINT)nPrefix);
        if (nNew - nSuffix > nPrefix)
            Reserve(nNew - nSuffix - nPrefix);
        for (size_t i = nPrefix; i < nNew - nSuffix; i++)
            Insert((int)i, i);
        for (size_t i = 1; i <= nSuffix; i++)
            Keep(nOld - i, nNew - i);
    }
    else
    {
        m_lboxKeys.ResetContent();
        Reserve(nNew);
        for (size_t i = 0; i < nNew; i++)
            Insert(-1, i);
    }
    // As after a refill: nothing selected, the list at its top.
    m_lboxKeys.SetCurSel(-1);
    m_lboxKeys.SetTopIndex(0);
    m_arrShownKeys.swap(arrKeys);
    m_lboxKeys.SetRedraw(TRUE);
    m_lboxKeys.Invalidate();
    if (pControl == NULL)
        return;

    m_strDesc = pControl->GetDescription();
    UpdateData(FALSE);
    EnableControls();
}

void CXTPCustomizeKeyboardPage::EnableControls()
{
    if (m_hWnd == NULL)
        return;
    CString strKey;
    m_editShortcutKey.GetWindowText(strKey);
    BOOL bAssign = !strKey.IsEmpty() && m_editShortcutKey.IsKeyDefined();
    BOOL bRemove = m_lboxKeys.GetCurSel() != LB_ERR;
    GetDlgItem(XTP_IDC_KEYBOARD_ASSIGN)->EnableWindow(bAssign);
    GetDlgItem(XTP_IDC_KEYBOARD_REMOVE)->EnableWindow(bRemove);
}

// ---------------------------------------------------------------------------
// Handlers

void CXTPCustomizeKeyboardPage::OnCategoryChanged()
{
    UpdateData(TRUE);
    ReloadCommands();
    ReloadKeys();
    if (GetSelectedControl() == NULL)
        EnableControls();
}

void CXTPCustomizeKeyboardPage::OnCommandChanged()
{
    ReloadKeys();
}

void CXTPCustomizeKeyboardPage::OnKeyChanged()
{
    EnableControls();
}

void CXTPCustomizeKeyboardPage::OnNewKeyChanged()
{
    EnableControls();
}

void CXTPCustomizeKeyboardPage::OnAssign()
{
    AssignShortcut();
}

void CXTPCustomizeKeyboardPage::OnRemove()
{
    RemoveShortcut();
}

void CXTPCustomizeKeyboardPage::OnResetAll()
{
    ResetAllShortcuts();
}

// ---------------------------------------------------------------------------
// Operations

void CXTPCustomizeKeyboardPage::AssignShortcut()
{
    CXTPControl* pControl = GetSelectedControl();
    CXTPShortcutManager* pManager = GetShortcutManager();
    if (pControl == NULL || pManager == NULL || !m_editShortcutKey.IsKeyDefined())
        return;

    ACCEL accel = *m_editShortcutKey.GetAccel();
    accel.cmd = (WORD)pControl->GetID();
    if (pManager->OnBeforeAdd(&accel))
        return;

    CArray<ACCEL, ACCEL&> arrAccel;
    XTPGetAccelEntries(pManager->GetAcceleratorTable(), arrAccel);

    INT_PTR nFound = -1;
    for (INT_PTR i = 0; i < arrAccel.GetSize(); i++)
    {
        if (IsSameChord(arrAccel[i], accel))
        {
            nFound = i;
            break;
        }
    }

    if (nFound >= 0)
    {
        // The chord is held by a command already (perhaps this one): the
        // user decides whether it moves here; No changes nothing.
        if (XTPResourceManager()->ShowMessageBox(XTP_IDS_CONFIRM_REASSIGN, MB_YESNO | MB_ICONEXCLAMATION) != IDYES)
            return;
        arrAccel[nFound].fVirt = accel.fVirt;
        arrAccel[nFound].key = accel.key;
        arrAccel[nFound].cmd = accel.cmd;
    }
    else
    {
        arrAccel.Add(accel);
    }

    pManager->SetAccelerators(arrAccel.GetData(), (int)arrAccel.GetSize());
    ReloadKeys();
    m_editShortcutKey.ResetKey();
    EnableControls();
}

void CXTPCustomizeKeyboardPage::RemoveShortcut()
{
    CXTPShortcutManager* pManager = GetShortcutManager();
    int nKey = m_lboxKeys.GetSafeHwnd() != NULL ? m_lboxKeys.GetCurSel() : LB_ERR;
    if (pManager == NULL || nKey == LB_ERR || pManager->GetAcceleratorTable() == NULL)
        return;

    CArray<ACCEL, ACCEL&> arrAccel;
    XTPGetAccelEntries(pManager->GetAcceleratorTable(), arrAccel);
    // The key's data is its entry's index in the table.
    INT_PTR nIndex = (INT_PTR)m_lboxKeys.GetItemData(nKey);
    const INT_PTR nCount = arrAccel.GetSize();
    if (nIndex >= 0 && nIndex < nCount && !pManager->OnBeforeRemove(&arrAccel[nIndex]))
    {
        // The last entry takes the removed one's place.
        if (nIndex != nCount - 1)
            arrAccel[nIndex] = arrAccel[nCount - 1];
        pManager->SetAccelerators(arrAccel.GetData(), (int)(nCount - 1));
    }
    ReloadKeys();
    EnableControls();
}

void CXTPCustomizeKeyboardPage::ResetAllShortcuts()
{
    CXTPShortcutManager* pManager = GetShortcutManager();
    if (pManager == NULL)
        return;
    if (XTPResourceManager()->ShowMessageBox(XTP_IDS_CONFIRM_KEYBOARD,
                                             MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2) == IDYES)
    {
        pManager->Reset();
    }
    ReloadKeys();
    EnableControls();
}
