// CMenu: menu wrapper.  The object destroys the menu it holds when it is
// destroyed, so menus owned by windows are detached first.
#include <afxgdi.h>

IMPLEMENT_DYNCREATE(CMenu, CObject)

// ---------------------------------------------------------------------------
// Temporaries

CMenu* CMenuHandleTraits::CreateTemp(HMENU h)
{
    CMenu* p = new CMenu;
    p->m_hMenu = h;
    return p;
}

void CMenuHandleTraits::DetachTemp(CMenu* p)
{
    p->m_hMenu = NULL;
}

// ---------------------------------------------------------------------------
// Construction and handles

CMenu::CMenu() : m_hMenu(NULL)
{
}

CMenu::~CMenu()
{
    DestroyMenu();
}

CMenu* PASCAL CMenu::FromHandle(HMENU hMenu)
{
    return CMenuHandleMap::GetThreadMap()->FromHandle(hMenu);
}

void PASCAL CMenu::DeleteTempMap()
{
    CMenuHandleMap::GetThreadMap()->DeleteTemp();
}

BOOL CMenu::Attach(HMENU hMenu)
{
    if (hMenu == NULL)
        return FALSE;
    if (m_hMenu != NULL && m_hMenu != hMenu)
        DestroyMenu();
    m_hMenu = hMenu;
    CMenuHandleMap::GetThreadMap()->SetPermanent(hMenu, this);
    return TRUE;
}

HMENU CMenu::Detach()
{
    HMENU hMenu = m_hMenu;
    if (hMenu != NULL)
    {
        CMenuHandleMap* pMap = CMenuHandleMap::GetThreadMap();
        pMap->RemovePermanent(hMenu, this);
        pMap->RetireTemporary(hMenu, this);
    }
    m_hMenu = NULL;
    return hMenu;
}

BOOL CMenu::CreateMenu()
{
    HMENU hMenu = ::CreateMenu();
    return hMenu != NULL && Attach(hMenu);
}

BOOL CMenu::CreatePopupMenu()
{
    HMENU hMenu = ::CreatePopupMenu();
    return hMenu != NULL && Attach(hMenu);
}

BOOL CMenu::LoadMenu(LPCTSTR lpszResourceName)
{
    if (lpszResourceName == NULL)
        return FALSE;
    HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, RT_MENU);
    HMENU hMenu = ::LoadMenu(hInst, lpszResourceName);
    return hMenu != NULL && Attach(hMenu);
}

BOOL CMenu::LoadMenu(UINT nIDResource)
{
    return LoadMenu(MAKEINTRESOURCE(nIDResource));
}

BOOL CMenu::LoadMenuIndirect(const void* lpMenuTemplate)
{
    if (lpMenuTemplate == NULL)
        return FALSE;
    HMENU hMenu = ::LoadMenuIndirect(lpMenuTemplate);
    return hMenu != NULL && Attach(hMenu);
}

BOOL CMenu::DestroyMenu()
{
    if (m_hMenu == NULL)
        return FALSE;
    return ::DestroyMenu(Detach());
}

// ---------------------------------------------------------------------------
// Items

BOOL CMenu::DeleteMenu(UINT nPosition, UINT nFlags)
{
    return ::DeleteMenu(m_hMenu, nPosition, nFlags);
}

BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem)
{
    return ::AppendMenu(m_hMenu, nFlags, nIDNewItem, lpszNewItem);
}

BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, const CBitmap* pBmp)
{
    return ::AppendMenu(m_hMenu, nFlags | MF_BITMAP, nIDNewItem,
                        (LPCTSTR)(HBITMAP)pBmp->GetSafeHandle());
}

UINT CMenu::CheckMenuItem(UINT nIDCheckItem, UINT nCheck)
{
    return (UINT)::CheckMenuItem(m_hMenu, nIDCheckItem, nCheck);
}

UINT CMenu::EnableMenuItem(UINT nIDEnableItem, UINT nEnable)
{
    return (UINT)::EnableMenuItem(m_hMenu, nIDEnableItem, nEnable);
}

UINT CMenu::GetMenuItemCount() const
{
    return (UINT)::GetMenuItemCount(m_hMenu);
}

UINT CMenu::GetMenuItemID(int nPos) const
{
    return ::GetMenuItemID(m_hMenu, nPos);
}

UINT CMenu::GetMenuState(UINT nID, UINT nFlags) const
{
    return ::GetMenuState(m_hMenu, nID, nFlags);
}

int CMenu::GetMenuString(UINT nIDItem, LPTSTR lpString, int nMaxCount, UINT nFlags) const
{
    if (lpString == NULL || nMaxCount <= 0)
        return 0;
    lpString[0] = '\0';
    // Terminate at the reported length ourselves: some systems fill a short
    // buffer to the end without a terminator.
    int nLength = ::GetMenuString(m_hMenu, nIDItem, lpString, nMaxCount, nFlags);
    if (nLength < 0)
        nLength = 0;
    if (nLength > nMaxCount - 1)
        nLength = nMaxCount - 1;
    lpString[nLength] = '\0';
    return nLength;
}

int CMenu::GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const
{
    const int nMaxChars = 1024;
    char szBuffer[nMaxChars + 1];
    szBuffer[0] = '\0';
    int nLength = ::GetMenuString(m_hMenu, nIDItem, szBuffer, nMaxChars + 1, nFlags);
    if (nLength < 0)
        nLength = 0;
    if (nLength > nMaxChars)
        nLength = nMaxChars;
    szBuffer[nLength] = '\0';
    rString = szBuffer;
    return nLength;
}

BOOL CMenu::GetMenuItemInfo(UINT uItem, LPMENUITEMINFO lpMenuItemInfo, BOOL fByPos)
{
    if (lpMenuItemInfo == NULL)
        return FALSE;
    return ::GetMenuItemInfo(m_hMenu, uItem, fByPos, lpMenuItemInfo);
}

BOOL CMenu::SetMenuItemInfo(UINT uItem, LPMENUITEMINFO lpMenuItemInfo, BOOL fByPos)
{
    if (lpMenuItemInfo == NULL)
        return FALSE;
    return ::SetMenuItemInfo(m_hMenu, uItem, fByPos, lpMenuItemInfo);
}

CMenu* CMenu::GetSubMenu(int nPos) const
{
    HMENU hSub = ::GetSubMenu(m_hMenu, nPos);
    return hSub != NULL ? CMenu::FromHandle(hSub) : NULL;
}

BOOL CMenu::InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem)
{
    return ::InsertMenu(m_hMenu, nPosition, nFlags, nIDNewItem, lpszNewItem);
}

BOOL CMenu::InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, const CBitmap* pBmp)
{
    return ::InsertMenu(m_hMenu, nPosition, nFlags | MF_BITMAP, nIDNewItem,
                        (LPCTSTR)(HBITMAP)pBmp->GetSafeHandle());
}

BOOL CMenu::InsertMenuItem(UINT uItem, LPMENUITEMINFO lpMenuItemInfo, BOOL fByPos)
{
    if (lpMenuItemInfo == NULL)
        return FALSE;
    return ::InsertMenuItem(m_hMenu, uItem, fByPos, lpMenuItemInfo);
}

BOOL CMenu::ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem)
{
    return ::ModifyMenu(m_hMenu, nPosition, nFlags, nIDNewItem, lpszNewItem);
}

BOOL CMenu::ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, const CBitmap* pBmp)
{
    return ::ModifyMenu(m_hMenu, nPosition, nFlags | MF_BITMAP, nIDNewItem,
                        (LPCTSTR)(HBITMAP)pBmp->GetSafeHandle());
}

BOOL CMenu::RemoveMenu(UINT nPosition, UINT nFlags)
{
    return ::RemoveMenu(m_hMenu, nPosition, nFlags);
}

BOOL CMenu::SetMenuItemBitmaps(UINT nPosition, UINT nFlags, const CBitmap* pBmpUnchecked,
                               const CBitmap* pBmpChecked)
{
    return ::SetMenuItemBitmaps(m_hMenu, nPosition, nFlags,
                                (HBITMAP)pBmpUnchecked->GetSafeHandle(),
                                (HBITMAP)pBmpChecked->GetSafeHandle());
}

BOOL CMenu::CheckMenuRadioItem(UINT nIDFirst, UINT nIDLast, UINT nIDItem, UINT nFlags)
{
    return ::CheckMenuRadioItem(m_hMenu, nIDFirst, nIDLast, nIDItem, nFlags);
}

BOOL CMenu::SetDefaultItem(UINT uItem, BOOL fByPos)
{
    return ::SetMenuDefaultItem(m_hMenu, uItem, fByPos);
}

UINT CMenu::GetDefaultItem(UINT gmdiFlags, BOOL fByPos)
{
    return ::GetMenuDefaultItem(m_hMenu, fByPos, gmdiFlags);
}

BOOL CMenu::SetMenuContextHelpId(DWORD dwContextHelpId)
{
    return ::SetMenuContextHelpId(m_hMenu, dwContextHelpId);
}

DWORD CMenu::GetMenuContextHelpId() const
{
    return ::GetMenuContextHelpId(m_hMenu);
}

void CMenu::DrawItem(LPDRAWITEMSTRUCT)
{
    // Owner-drawn menus override this.
}

void CMenu::MeasureItem(LPMEASUREITEMSTRUCT)
{
    // Owner-drawn menus override this.
}
