// The controls collection: adding, removing and finding controls, action
// binding and building controls from menus. The layouts are in
// XTPControlsLayout.cpp.
#include "XTPControls.h"
#include "XTPControl.h"
#include "XTPControlButton.h"
#include "XTPControlPopup.h"
#include "XTPControlAction.h"
#include "XTPControlComboBox.h"
#include "XTPControlCustom.h"
#include "XTPControlEdit.h"
#include "XTPControlExtras.h"
#include "XTPCommandBar.h"
#include "XTPCommandBars.h"
#include "XTPPopupBar.h"
#include "XTPResourceManager.h"

IMPLEMENT_DYNCREATE(CXTPControls, CCmdTarget)

CXTPControls::CXTPControls()
    : m_pParent(NULL)
    , m_pCommandBars(NULL)
    , m_pOriginalControls(NULL)
{
    EnableAutomation();
}

CXTPControls::~CXTPControls()
{
    RemoveAll();
    ClearOriginalControls();
}

CXTPControl* CXTPControls::GetAt(int nIndex) const
{
    if (nIndex < 0 || nIndex >= m_arrControls.GetSize())
        return NULL;
    return m_arrControls[nIndex];
}

CXTPCommandBars* CXTPControls::GetCommandBars() const
{
    if (m_pParent != NULL && m_pParent->GetCommandBars() != NULL)
        return m_pParent->GetCommandBars();
    return m_pCommandBars;
}

CWnd* CXTPControls::GetSite() const
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars != NULL && pCommandBars->GetSite() != NULL)
        return pCommandBars->GetSite();
    return m_pParent != NULL ? m_pParent->GetOwnerSite() : NULL;
}

void CXTPControls::SetParent(CXTPCommandBar* pParent)
{
    m_pParent = pParent;
    if (GetCount() > 0)
        RefreshIndexes();
}

void CXTPControls::RefreshIndexes()
{
    for (int i = 0; i < GetCount(); i++)
    {
        CXTPControl* pControl = m_arrControls[i];
        pControl->m_nIndex = i;
        pControl->m_pControls = this;
        pControl->SetParent(m_pParent);
    }
    if (m_pParent != NULL)
        m_pParent->OnControlsChanged();
}

void CXTPControls::OnControlAdded(CXTPControl*)
{
    RefreshIndexes();
}

void CXTPControls::OnControlRemoved(CXTPControl* pControl)
{
    pControl->m_pControls = NULL;
    pControl->SetParent(NULL);
    pControl->OnRemoved();
    RefreshIndexes();
}

//////////////////////////////////////////////////////////////////////////
// Adding

CXTPControl* CXTPControls::InsertAt(CXTPControl* pControl, int nBefore)
{
    if (pControl == NULL)
        return NULL;
    if (nBefore < 0 || nBefore >= GetCount())
        m_arrControls.Add(pControl);
    else
        m_arrControls.InsertAt(nBefore, pControl);
    OnControlAdded(pControl);
    return pControl;
}

CXTPControl* CXTPControls::AddClone(CXTPControl* pClone, int nBefore, BOOL bRecursive)
{
    if (pClone == NULL)
        return NULL;
    return InsertAt(pClone->Clone(bRecursive), nBefore);
}

void CXTPControls::BindAction(CXTPControl* pControl, int nId)
{
    if (pControl->GetAction() != NULL)
        return;
    CXTPCommandBars* pCommandBars = GetCommandBars();
    CXTPControlAction* pAction = pCommandBars != NULL ? pCommandBars->FindAction(nId) : NULL;
    if (pAction == NULL && pCommandBars != NULL && pCommandBars->IsActionsEnabled() && nId >= 1 &&
        (UINT)nId < 0x0FFFFFFF && !XTPIsActionlessId(nId))
    {
        pAction = pCommandBars->CreateAction(nId);
    }
    if (pAction != NULL)
        pControl->SetAction(pAction);
    else
        pControl->SetID(nId);
}

CXTPControl* CXTPControls::Add(CXTPControl* pControl, int nId, LPCTSTR lpszParameter, int nBefore, BOOL bTemporary)
{
    if (pControl == NULL)
        return NULL;
    pControl->m_strParameter = lpszParameter != NULL ? lpszParameter : _T("");
    pControl->m_bTemporary = bTemporary;
    BindAction(pControl, nId);
    return InsertAt(pControl, nBefore);
}

// Every control class of the command bars. Naming them here links them
// into every program that uses the bars, so that a control is made by its
// own class however the program refers to it (by type, by id, by the class
// name stored with a bar's state), not only when the program happens to
// name the class itself.
static CRuntimeClass* const s_controlClasses[] = {
    RUNTIME_CLASS(CXTPControlButton),      RUNTIME_CLASS(CXTPControlPopup),
    RUNTIME_CLASS(CXTPControlComboBox),    RUNTIME_CLASS(CXTPControlEdit),
    RUNTIME_CLASS(CXTPControlCustom),      RUNTIME_CLASS(CXTPControlLabel),
    RUNTIME_CLASS(CXTPControlCheckBox),    RUNTIME_CLASS(CXTPControlRadioButton),
    RUNTIME_CLASS(CXTPControlWindowList),  RUNTIME_CLASS(CXTPControlToolbars),
    RUNTIME_CLASS(CXTPControlOleItems),    RUNTIME_CLASS(CXTPControlRecentFileList),
    RUNTIME_CLASS(CXTPControlWorkspaceActions), RUNTIME_CLASS(CXTPControlSelector),
};

CRuntimeClass* AFX_CDECL CXTPControls::FindControlClass(LPCSTR lpszClassName)
{
    if (lpszClassName == NULL)
        return NULL;
    for (CRuntimeClass* pClass : s_controlClasses)
    {
        if (strcmp(pClass->m_lpszClassName, lpszClassName) == 0)
            return pClass;
    }
    // Classes of other libraries (the ribbon's) register themselves.
    return CRuntimeClass::FromName(lpszClassName);
}

// Controls of other kinds are made by their own classes, found by name; a
// plain button of the asked kind stands in for a class no library has.
static CXTPControl* CreateControlByName(LPCSTR lpszClassName, XTPControlType type)
{
    CRuntimeClass* pClass = CXTPControls::FindControlClass(lpszClassName);
    if (pClass != NULL && pClass->IsDerivedFrom(RUNTIME_CLASS(CXTPControl)))
    {
        CXTPControl* pControl = (CXTPControl*)pClass->CreateObject();
        if (pControl != NULL)
            return pControl;
    }
    CXTPControl* pControl = new CXTPControlButton();
    pControl->SetType(type);
    return pControl;
}

CXTPControl* AFX_CDECL CXTPControls::CreateControl(XTPControlType type, int nId, LPCTSTR lpszCaption)
{
    switch (type)
    {
    case xtpControlPopup:
    case xtpControlButtonPopup:
    case xtpControlSplitButtonPopup:
        return CXTPControlPopup::CreateControlPopup(type);
    case xtpControlComboBox:
        return CreateControlByName("CXTPControlComboBox", type);
    case xtpControlEdit:
        return CreateControlByName("CXTPControlEdit", type);
    case xtpControlCustom:
        return CreateControlByName("CXTPControlCustom", type);
    case xtpControlLabel:
        return CreateControlByName("CXTPControlLabel", type);
    case xtpControlCheckBox:
        return CreateControlByName("CXTPControlCheckBox", type);
    case xtpControlGallery:
        return CreateControlByName("CXTPControlGallery", type);
    case xtpControlRadioButton:
        return CreateControlByName("CXTPControlRadioButton", type);
    default:
        break;
    }

    switch (nId)
    {
    case XTP_ID_WINDOWLIST:
        return CreateControlByName("CXTPControlWindowList", xtpControlButton);
    case XTP_ID_WORKSPACE_ACTIONS:
        return CreateControlByName("CXTPControlWorkspaceActions", xtpControlButton);
    case XTP_ID_FILE_MRU:
        return CreateControlByName("CXTPControlRecentFileList", xtpControlButton);
    case XTP_ID_TOOLBARLIST:
        return CreateControlByName("CXTPControlToolbars", xtpControlButton);
    default:
        break;
    }
    CXTPControl* pControl = new CXTPControlButton();
    (void)lpszCaption;
    return pControl;
}

CXTPCommandBar* CXTPControls::CreatePopupBar(LPCTSTR lpszCaption, int nId) const
{
    CWnd* pSite = GetSite();
    if (pSite != NULL && pSite->GetSafeHwnd() != NULL)
    {
        XTP_COMMANDBARS_CREATEBAR cs;
        ZeroMemory(&cs, sizeof(cs));
        cs.bPopup = TRUE;
        cs.lpcstrCaption = lpszCaption;
        cs.nID = (UINT)nId;
        if (pSite->SendMessage(WM_XTP_CREATECOMMANDBAR, 0, (LPARAM)&cs) != 0 && cs.pCommandBar != NULL)
        {
            if (cs.pCommandBar->IsKindOf(RUNTIME_CLASS(CXTPPopupBar)))
                return cs.pCommandBar;
            // Not a popup bar: the site's object is not used.
            cs.pCommandBar->InternalRelease();
        }
    }
    CXTPPopupBar* pPopupBar = CXTPPopupBar::CreatePopupBar(GetCommandBars());
    if (lpszCaption != NULL)
        pPopupBar->SetTitle(lpszCaption);
    return pPopupBar;
}

// Loads the first submenu of the menu resource nId into the popup bar;
// FALSE when the resource is missing. The submenu's caption comes back.
static BOOL LoadPopupFromResource(CXTPCommandBar* pPopupBar, int nId, CString& strCaption)
{
    if (nId <= 0 || pPopupBar == NULL)
        return FALSE;
    HINSTANCE hInst = AfxFindResourceHandle(MAKEINTRESOURCE(nId), RT_MENU);
    if (hInst == NULL || ::FindResource(hInst, MAKEINTRESOURCE(nId), RT_MENU) == NULL)
        return FALSE;
    CMenu menu;
    if (!XTPResourceManager()->LoadMenu(&menu, (UINT)nId))
        return FALSE;
    CMenu* pSubMenu = menu.GetSubMenu(0);
    if (pSubMenu == NULL)
        return FALSE;
    menu.GetMenuString(0, strCaption, MF_BYPOSITION);
    return pPopupBar->LoadMenu(pSubMenu, TRUE);
}

CXTPControl* CXTPControls::Add(XTPControlType controlType, int nId, LPCTSTR lpszParameter, int nBefore,
                               BOOL bTemporary)
{
    CXTPControl* pControl = CreateControl(controlType, nId);
    // Only the popup kinds come with a popup bar; a gallery, say, gets one
    // only when it is to have a drop-down.
    BOOL bPopupKind = controlType == xtpControlPopup || controlType == xtpControlButtonPopup ||
                      controlType == xtpControlSplitButtonPopup;
    CXTPControlPopup* pPopup = bPopupKind ? DYNAMIC_DOWNCAST(CXTPControlPopup, pControl) : NULL;
    if (pPopup != NULL && pPopup->GetCommandBar() == NULL)
    {
        CXTPCommandBar* pPopupBar = CreatePopupBar(NULL, nId);
        pPopup->SetCommandBar(pPopupBar);
        pPopupBar->InternalRelease();
        CString strCaption;
        if (LoadPopupFromResource(pPopupBar, nId, strCaption))
            pControl->SetCaption(strCaption);
    }
    return Add(pControl, nId, lpszParameter, nBefore, bTemporary);
}

CXTPControl* CXTPControls::AddMenuItem(CMenu* pMenu, int nIndex)
{
    if (pMenu == NULL || pMenu->GetSafeHmenu() == NULL)
        return NULL;
    HMENU hMenu = pMenu->GetSafeHmenu();

    HMENU hSubMenu = ::GetSubMenu(hMenu, nIndex);
    int nId = hSubMenu != NULL ? 0 : (int)(UINT)::GetMenuItemID(hMenu, nIndex);
    BOOL bDefault = (int)::GetMenuDefaultItem(hMenu, TRUE, GMDI_USEDISABLED) == nIndex;
    if (nId == 0xFF00)
        return NULL;

    CString strCaption;
    pMenu->GetMenuString((UINT)nIndex, strCaption, MF_BYPOSITION);
    if (strCaption.GetLength() > 1024)
        strCaption = strCaption.Left(1024);

    // A submenu item "Caption\t<id>" carries the popup's command id.
    if (hSubMenu != NULL)
    {
        int nTab = strCaption.Find('\t');
        if (nTab > 0)
        {
            nId = atoi(strCaption.Mid(nTab + 1));
            if (nId != 0)
                strCaption = strCaption.Left(nTab);
        }
    }

    XTP_COMMANDBARS_CREATECONTROL cs;
    cs.nID = nId;
    cs.pControl = NULL;
    cs.bToolBar = FALSE;
    cs.nIndex = nIndex;
    cs.pMenu = pMenu;
    cs.pCommandBar = m_pParent;
    cs.strCaption = strCaption;
    cs.controlType = hSubMenu != NULL ? xtpControlPopup : xtpControlButton;
    cs.buttonStyle = xtpButtonAutomatic;

    CWnd* pSite = GetSite();
    if (pSite != NULL && pSite->GetSafeHwnd() != NULL &&
        pSite->SendMessage(WM_XTP_BEFORECREATECONTROL, 0, (LPARAM)&cs) != 0)
    {
        nId = cs.nID;
        strCaption = cs.strCaption;
    }

    CXTPControl* pControl = cs.pControl;
    if (pControl == NULL)
    {
        XTPControlType type = cs.controlType;
        if (type == xtpControlPopup || type == xtpControlButtonPopup || type == xtpControlSplitButtonPopup)
        {
            CXTPControlPopup* pPopup = CXTPControlPopup::CreateControlPopup(type);
            CXTPCommandBar* pPopupBar = CreatePopupBar(strCaption, nId);
            pPopupBar->SetTitle(strCaption);
            pPopup->SetCommandBar(pPopupBar);
            pPopupBar->InternalRelease();
            if (hSubMenu != NULL)
            {
                CMenu* pSubMenu = CMenu::FromHandle(hSubMenu);
                pPopupBar->LoadMenu(pSubMenu, TRUE);
            }
            else
            {
                CString strIgnored;
                LoadPopupFromResource(pPopupBar, nId, strIgnored);
            }
            pControl = pPopup;
        }
        else if (type == xtpControlButton)
        {
            if (nId == XTP_ID_OLE_VERBS)
                pControl = strCaption == _T("<<OLE VERBS GO HERE>>")
                               ? CreateControlByName("CXTPControlOleItems", xtpControlButton)
                               : new CXTPControlButton();
            else if (nId == XTP_ID_FILE_MRU_FILE1)
                pControl = CreateControlByName("CXTPControlRecentFileList", xtpControlButton);
            else
                pControl = CreateControl(xtpControlButton, nId);
        }
        else
        {
            pControl = CreateControl(type, nId);
        }
        pControl->SetType(type);
        pControl->SetStyle(cs.buttonStyle);
    }

    BindAction(pControl, nId);
    CXTPControlAction* pAction = pControl->GetAction();
    if (pAction != NULL)
    {
        if (pAction->GetCaption().IsEmpty())
            pAction->SetCaption(strCaption);
    }
    else
    {
        pControl->SetCaption(strCaption);
    }

    if (bDefault)
        pControl->SetItemDefault(TRUE);
    m_arrControls.Add(pControl);
    OnControlAdded(pControl);

    cs.pControl = pControl;
    if (pSite != NULL && pSite->GetSafeHwnd() != NULL)
        pSite->SendMessage(WM_XTP_AFTERCREATECONTROL, 0, (LPARAM)&cs);
    return pControl;
}

BOOL CXTPControls::LoadMenu(CMenu* pMenu)
{
    if (pMenu == NULL || pMenu->GetSafeHmenu() == NULL)
        return FALSE;
    BOOL bBeginGroup = FALSE;
    int nCount = pMenu->GetMenuItemCount();
    for (int i = 0; i < nCount; i++)
    {
        UINT nState = pMenu->GetMenuState((UINT)i, MF_BYPOSITION);
        if ((nState & MF_SEPARATOR) != 0 && ::GetSubMenu(pMenu->GetSafeHmenu(), i) == NULL)
        {
            bBeginGroup = TRUE;
            continue;
        }
        CXTPControl* pControl = AddMenuItem(pMenu, i);
        if (pControl != NULL && bBeginGroup)
        {
            pControl->SetBeginGroup(TRUE);
            bBeginGroup = FALSE;
        }
    }
    return TRUE;
}

//////////////////////////////////////////////////////////////////////////
// Removing

void CXTPControls::Remove(CXTPControl* pControl)
{
    if (pControl == NULL || pControl->m_pControls != this)
        return;
    int nIndex = -1;
    for (int i = 0; i < GetCount(); i++)
    {
        if (m_arrControls[i] == pControl)
        {
            nIndex = i;
            break;
        }
    }
    if (nIndex == -1)
        return;

    if (m_pParent != NULL && m_pParent->GetSelected() == nIndex)
        m_pParent->SetSelected(-1);
    if (IsRemoveVetoed(pControl))
        return;

    m_arrControls.RemoveAt(nIndex);
    OnControlRemoved(pControl);
    pControl->m_pParent = NULL;
    pControl->InternalRelease();
}

void CXTPControls::RemoveAt(int nIndex)
{
    CXTPControl* pControl = GetAt(nIndex);
    if (pControl != NULL)
        Remove(pControl);
}

void CXTPControls::RemoveAll()
{
    for (int i = GetCount() - 1; i >= 0; i--)
    {
        if (i >= GetCount())
            continue;
        CXTPControl* pControl = m_arrControls[i];
        if (IsRemoveVetoed(pControl))
            continue;
        m_arrControls.RemoveAt(i);
        OnControlRemoved(pControl);
        pControl->InternalRelease();
    }
}

//////////////////////////////////////////////////////////////////////////
// Finding

CXTPControl* CXTPControls::FindControl(XTPControlType type, int nId, BOOL bVisible, BOOL bRecursive) const
{
    static int s_nDepth = 0;
    CXTPPopupDepthGuard guard(s_nDepth);
    if (guard.IsTooDeep())
        bRecursive = FALSE;
    for (int i = 0; i < GetCount(); i++)
    {
        CXTPControl* pControl = m_arrControls[i];
        if (bVisible && !pControl->IsVisible())
            continue;
        if ((type == xtpControlError || pControl->GetType() == type) && (nId == -1 || pControl->GetID() == nId))
            return pControl;
        if (bRecursive)
        {
            CXTPCommandBar* pBar = pControl->GetCommandBar();
            if (pBar != NULL && pBar->GetControls() != NULL && pBar->GetControls() != this)
            {
                CXTPControl* pFound = pBar->GetControls()->FindControl(type, nId, bVisible, bRecursive);
                if (pFound != NULL)
                    return pFound;
            }
        }
    }
    return NULL;
}

CXTPControl* CXTPControls::FindControl(int nId) const
{
    return FindControl(xtpControlError, nId, FALSE, FALSE);
}

CXTPControl* CXTPControls::HitTest(CPoint point) const
{
    for (int i = 0; i < GetCount(); i++)
    {
        CXTPControl* pControl = m_arrControls[i];
        if (pControl->IsVisible() && pControl->GetRect().PtInRect(point))
            return pControl;
    }
    return NULL;
}

int CXTPControls::GetVisibleCount(BOOL bIncludeWrap) const
{
    int nCount = 0;
    for (int i = 0; i < GetCount(); i++)
    {
        if (m_arrControls[i]->IsVisible(bIncludeWrap ? xtpHideWrap : 0))
            nCount++;
    }
    return nCount;
}

int CXTPControls::GetNext(int nIndex, int nDirection, BOOL bKeyboard, BOOL bSkipTemporary, BOOL bSkipCollapsed) const
{
    int nCount = GetCount();
    if (nCount == 0)
        return -1;
    int nStep = nDirection < 0 ? -1 : 1;
    DWORD dwTolerated = xtpHideScroll | (bSkipCollapsed ? 0 : xtpHideExpand);
    int nCurrent = nIndex;
    BOOL bWrapped = FALSE;

    for (int nGuard = 0; nGuard <= nCount + 1; nGuard++)
    {
        if (nIndex == -1 && nStep < 0 && nGuard == 0)
            nCurrent = nCount - 1;
        else
            nCurrent += nStep;

        if (nCurrent >= nCount || nCurrent < 0)
        {
            if (nIndex == -1 || bWrapped)
                return -1;
            bWrapped = TRUE;
            nCurrent = nCurrent < 0 ? nCount - 1 : 0;
        }
        if (nCurrent == nIndex)
            return nIndex;

        CXTPControl* pControl = m_arrControls[nCurrent];
        if (!pControl->IsVisible(dwTolerated))
            continue;
        if (bKeyboard && (pControl->GetFlags() & xtpFlagSkipFocus) != 0)
            continue;
        if (bSkipTemporary && pControl->IsTemporary())
            continue;
        return nCurrent;
    }
    return -1;
}

//////////////////////////////////////////////////////////////////////////
// Copies, originals and comparison

CXTPControls* CXTPControls::Duplicate(BOOL bRecursive) const
{
    // A popup bar that several of the controls open, at any depth, is
    // copied once for the whole copy.
    CXTPPopupMemoScope scope;
    CXTPControls* pControls = DuplicateControls(bRecursive);
    if (m_pOriginalControls != NULL)
        pControls->m_pOriginalControls = m_pOriginalControls->Duplicate(bRecursive);
    return pControls;
}

CXTPControls* CXTPControls::DuplicateControls(BOOL bRecursive) const
{
    CXTPPopupMemoScope scope;
    CXTPControls* pControls = new CXTPControls();
    pControls->m_pCommandBars = GetCommandBars();
    for (int i = 0; i < GetCount(); i++)
    {
        if (!m_arrControls[i]->IsTemporary())
            pControls->AddClone(m_arrControls[i], -1, bRecursive);
    }
    return pControls;
}

void CXTPControls::CreateOriginalControls()
{
    // The originals of the originals are not copied: they are not kept.
    SetOriginalControls(DuplicateControls(TRUE));
}

void CXTPControls::SetOriginalControls(CXTPControls* pControls)
{
    if (m_pOriginalControls == pControls)
        return;
    ClearOriginalControls();
    m_pOriginalControls = pControls;
}

void CXTPControls::ClearOriginalControls()
{
    if (m_pOriginalControls != NULL)
    {
        CXTPControls* pOriginal = m_pOriginalControls;
        m_pOriginalControls = NULL;
        pOriginal->InternalRelease();
    }
}

BOOL CXTPControls::IsChanged() const
{
    if (m_pOriginalControls == NULL)
        return FALSE;
    return !Compare(m_pOriginalControls);
}

BOOL CXTPControls::Compare(const CXTPControls* pOther) const
{
    if (pOther == NULL)
        return FALSE;
    // A pair of popup bars met on several paths is compared once for the
    // whole comparison.
    CXTPPopupMemoScope scope;
    int i = 0, j = 0;
    for (;;)
    {
        while (i < GetCount() && m_arrControls[i]->IsTemporary())
            i++;
        while (j < pOther->GetCount() && pOther->m_arrControls[j]->IsTemporary())
            j++;
        if (i >= GetCount() || j >= pOther->GetCount())
            return i >= GetCount() && j >= pOther->GetCount();
        if (!m_arrControls[i]->Compare(pOther->m_arrControls[j]))
            return FALSE;
        i++;
        j++;
    }
}

CXTPControl* CXTPControls::SetControlType(CXTPControl* pControl, XTPControlType type)
{
    if (pControl == NULL || pControl->m_pControls != this)
        return NULL;
    if (pControl->GetType() == type)
        return pControl;

    BOOL bPopupKind = type == xtpControlPopup || type == xtpControlButtonPopup || type == xtpControlSplitButtonPopup;
    if (bPopupKind && pControl->IsKindOf(RUNTIME_CLASS(CXTPControlPopup)))
    {
        pControl->SetType(type);
        pControl->DelayLayoutParent();
        return pControl;
    }

    int nIndex = pControl->GetIndex();
    CXTPControl* pNew = Add(type, pControl->GetID(), NULL, nIndex + 1);
    pNew->Copy(pControl, FALSE);
    pNew->SetType(type);
    Remove(pControl);
    return pNew;
}

CXTPControl* CXTPControls::SetControlType(int nIndex, XTPControlType type)
{
    return SetControlType(GetAt(nIndex), type);
}

