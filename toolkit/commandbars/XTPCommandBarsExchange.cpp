// The stored form of bars and controls: every bar and control class
// exchanges its properties through one DoPropExchange, and the command bars
// save and restore the list of all their bars with it.
#include "XTPCommandBarsExchange.h"

#include "XTPCommandBar.h"
#include "XTPCommandBarAnimation.h"
#include "XTPCommandBars.h"
#include "XTPControl.h"
#include "XTPControlAction.h"
#include "XTPControlButton.h"
#include "XTPControlPopup.h"
#include "XTPControls.h"
#include "XTPImageManager.h"
#include "XTPMenuBar.h"
#include "XTPPopupBar.h"
#include "XTPPropExchange.h"
#include "XTPToolBar.h"

#include <map>
#include <set>
#include <vector>

XTP_COMMANDBARS_PROPEXCHANGE_PARAM* AFX_CDECL XTPGetExchangeParam(CXTPPropExchange* pPX)
{
    return pPX != NULL ? (XTP_COMMANDBARS_PROPEXCHANGE_PARAM*)pPX->GetContext() : NULL;
}

//////////////////////////////////////////////////////////////////////////
// CXTPCommandBarsArchiveExchange

CXTPCommandBarsArchiveExchange::CXTPCommandBarsArchiveExchange(CArchive& ar) : CXTPPropExchangeArchive(ar)
{
}

CXTPPropExchange* CXTPCommandBarsArchiveExchange::OpenSection(LPCTSTR /*lpszSection*/)
{
    CXTPCommandBarsArchiveExchange* pSection = new CXTPCommandBarsArchiveExchange(*m_pArchive);
    pSection->InitSection(this);
    return pSection;
}

BOOL CXTPCommandBarsArchiveExchange::ExchangeClass(LPCTSTR pszPropName, CRuntimeClass*& pClass,
                                                   CRuntimeClass* pDefaultClass)
{
    if (m_bLoading || pClass == NULL)
        return CXTPPropExchangeArchive::ExchangeClass(pszPropName, pClass, pDefaultClass);

    // Every class carries the exchange's schema, serialisable or not.
    WriteClassWithSchema(pClass);
    return TRUE;
}

namespace {

// A whole set of template ids, as the class library serialises a map; an
// empty set is left out where the store may leave defaults out.
// The set goes whole into a blob value, in every kind of store.
void ExchangeTemplateSet(CXTPPropExchange* pPX, LPCTSTR lpszName, CXTPControl::CDocTemplateMap& map)
{
    if (pPX->IsStoring())
    {
        if (map.GetCount() == 0 && pPX->CanOmitValues())
            return;
        PropExchangeSerialize(pPX, lpszName, &map);
        return;
    }
    map.RemoveAll();
    PropExchangeSerialize(pPX, lpszName, &map);
}

// Adds the controls of each MDI menu of a menu bar, in the map's order;
// other bars add nothing.
void AddMDIMenuControls(CXTPCommandBar* pBar, CArray<CXTPControls*, CXTPControls*>& arrLists)
{
    CXTPMenuBar* pMenuBar = DYNAMIC_DOWNCAST(CXTPMenuBar, pBar);
    if (pMenuBar == NULL)
        return;
    POSITION pos = pMenuBar->GetMDIMenus()->GetStartPosition();
    while (pos != NULL)
    {
        UINT nMenuId;
        CXTPMenuBarMDIMenuInfo* pInfo;
        pMenuBar->GetMDIMenus()->GetNextMenu(pos, nMenuId, pInfo);
        if (pInfo->m_pControls != NULL)
            arrLists.Add(pInfo->m_pControls);
    }
}

} // namespace

//////////////////////////////////////////////////////////////////////////
// Controls

void CXTPControl::DoPropExchange(CXTPPropExchange* pPX)
{
    int nSchema = pPX->GetSchema();
    long nType = m_controlType;
    PropExchangeLongWithDefault(pPX, "Type", nType, 1);
    m_controlType = (XTPControlType)nType;
    PropExchangeLongWithDefault(pPX, "Id", m_nId, -1);
    if (pPX->IsLoading())
    {
        XTP_COMMANDBARS_PROPEXCHANGE_PARAM* pParam = XTPGetExchangeParam(pPX);
        CXTPCommandBars* pCommandBars = pParam != NULL ? pParam->pCommandBars : NULL;
        CXTPControlAction* pAction = pCommandBars != NULL ? pCommandBars->FindAction(m_nId) : NULL;
        if (pAction != NULL)
            SetAction(pAction);
    }
    PropExchangeLongWithDefault(pPX, "IconId", m_nIconId, 0);
    PropExchangeBool(pPX, "BeginGroup", m_bBeginGroup, FALSE);
    PropExchangeLongWithDefault(pPX, "Tag", m_nTag, 0);
    PropExchangeLongWithDefault(pPX, "Flags", m_dwFlags, 0);
    PropExchangeLongWithDefault(pPX, "HideFlags", m_dwHideFlags, 0);
    PropExchangeStringWithDefault(pPX, "Caption", m_strCaption, "");
    PropExchangeStringWithDefault(pPX, "ShortcutText", m_strShortcutText, "");
    PropExchangeStringWithDefault(pPX, "TooltipText", m_strTooltipText, "");
    PropExchangeStringWithDefault(pPX, "DescriptionText", m_strDescriptionText, "");
    PropExchangeStringWithDefault(pPX, "Parameter", m_strParameter, "");
    PropExchangeLongWithDefault(pPX, "CustomIconId", m_nCustomIconId, 0);
    PropExchangeStringWithDefault(pPX, "CustomCaption", m_strCustomCaption, "");
    if (nSchema > 1)
        PropExchangeStringWithDefault(pPX, "Category", m_strCategory, "");

    if (m_nCustomIconId > 0)
    {
        CXTPImageManager* pImageManager = GetImageManager();
        CXTPPropExchangeSection secIcon(pPX->OpenSection("CustomIcon"));
        if (pImageManager != NULL && !pImageManager->DoPropExchangeIconSet((UINT)m_nCustomIconId, secIcon) &&
            pPX->IsLoading())
        {
            // A damaged image is dropped, the control stays: without any of
            // its own images it shows its command's image again.
            XTP_COMMANDBARS_PROPEXCHANGE_PARAM* pParam = XTPGetExchangeParam(pPX);
            if (pParam != NULL)
                pParam->nDamagedParts++;
            if (pImageManager->GetIconSet((UINT)m_nCustomIconId) == NULL)
            {
                TRACE("CXTPControl: the stored image of control %d is damaged and dropped\n", m_nId);
                m_nCustomIconId = 0;
            }
        }
    }
    if (nSchema > 3)
    {
        ExchangeTemplateSet(pPX, "DocTemplatesExcluded", m_mapDocTemplatesExcluded);
        ExchangeTemplateSet(pPX, "DocTemplatesAssigned", m_mapDocTemplatesAssigned);
        PropExchangeBool(pPX, "DefaultItem", m_bDefaultItem, FALSE);
    }
    if (nSchema > 6)
        PropExchangeBool(pPX, "CloseSubMenuOnClick", m_bCloseSubMenuOnClick, TRUE);
    if (nSchema > 7)
    {
        PropExchangeLongWithDefault(pPX, "CustomStyle", m_nCustomStyle, -1);
        if (nSchema < 18 && pPX->IsLoading() && m_nCustomStyle == 0)
            m_nCustomStyle = -1;
    }
    if (nSchema > 16)
        PropExchangeLongWithDefault(pPX, "HelpId", m_nHelpId, 0);
    if (nSchema > 17)
    {
        long nStyle = m_buttonStyle;
        PropExchangeLongWithDefault(pPX, "Style", nStyle, 0);
        m_buttonStyle = (XTPButtonStyle)nStyle;
    }
    if (nSchema > 18)
    {
        PropExchangeLongWithDefault(pPX, "Width", m_nWidth, 0);
        PropExchangeLongWithDefault(pPX, "Height", m_nHeight, 0);
        PropExchangeLongWithDefault(pPX, "ExecuteOnPressInterval", m_nExecuteOnPressInterval, 0);
        if (pPX->IsLoading())
            DropImpossibleSize();
    }
}

void CXTPControl::DropImpossibleSize()
{
    // A stored fixed size larger than the screens can show (or below 0) is
    // damage: kept, it would make its bar as large as the system allows. The
    // control is measured instead.
    int cxMax = ::GetSystemMetrics(SM_CXVIRTUALSCREEN);
    int cyMax = ::GetSystemMetrics(SM_CYVIRTUALSCREEN);
    if (cxMax <= 0)
        cxMax = ::GetSystemMetrics(SM_CXSCREEN);
    if (cyMax <= 0)
        cyMax = ::GetSystemMetrics(SM_CYSCREEN);
    if (m_nWidth < 0 || m_nWidth > cxMax)
    {
        TRACE("Control %d: stored width %d is not kept (at most %d)\n", m_nId, (int)m_nWidth, cxMax);
        m_nWidth = 0;
    }
    if (m_nHeight < 0 || m_nHeight > cyMax)
    {
        TRACE("Control %d: stored height %d is not kept (at most %d)\n", m_nId, (int)m_nHeight, cyMax);
        m_nHeight = 0;
    }
}

void CXTPControlButton::DoPropExchange(CXTPPropExchange* pPX)
{
    CXTPControl::DoPropExchange(pPX);
    if (pPX->GetSchema() < 18)
    {
        long nStyle = m_buttonStyle;
        PropExchangeLongWithDefault(pPX, "Style", nStyle, 0);
        m_buttonStyle = (XTPButtonStyle)nStyle;
    }
}

void CXTPControlPopup::DoPropExchange(CXTPPropExchange* pPX)
{
    CXTPControl::DoPropExchange(pPX);
    if (pPX->IsStoring())
    {
        long nBarID = m_pCommandBar != NULL ? (long)m_pCommandBar->GetBarID() : 0;
        PropExchangeLongWithDefault(pPX, "CommandBarId", nBarID, 0);
    }
    else
    {
        long nBarID = 0;
        PropExchangeLongWithDefault(pPX, "CommandBarId", nBarID, 0);
        m_dwCommandBarID = (UINT)nBarID;
    }
    int nSchema = pPX->GetSchema();
    if (nSchema > 4 && nSchema < 18)
    {
        long nStyle = m_buttonStyle;
        PropExchangeLongWithDefault(pPX, "Style", nStyle, 0);
        m_buttonStyle = (XTPButtonStyle)nStyle;
    }
}

void CXTPControlPopup::RestoreCommandBarList(CXTPCommandBarList* pCommandBarList)
{
    if (m_dwCommandBarID == 0 || pCommandBarList == NULL)
        return;
    CXTPCommandBar* pBar = pCommandBarList->FindCommandBar(m_dwCommandBarID);
    m_dwCommandBarID = 0;
    if (pBar == NULL)
        return;
    // A popup control opens a popup bar, never a toolbar.
    if (!pBar->IsKindOf(RUNTIME_CLASS(CXTPPopupBar)))
    {
        TRACE("CXTPControlPopup: a stored popup names bar %u, which is no popup bar; the link is dropped\n",
              pBar->GetBarID());
        return;
    }
    SetCommandBar(pBar);
    pBar->RestoreCommandBarList(pCommandBarList);
}

void CXTPControls::DoPropExchange(CXTPPropExchange* pPX)
{
    XTP_COMMANDBARS_PROPEXCHANGE_PARAM* pParam = XTPGetExchangeParam(pPX);
    if (pPX->IsStoring())
    {
        DWORD nCount = 0;
        for (int i = 0; i < GetCount(); i++)
        {
            if (!GetAt(i)->IsTemporary())
                nCount++;
        }
        CXTPPropExchangeEnumeratorPtr pEnumerator(pPX->CreateEnumerator("Control"));
        POSITION pos = pEnumerator->GetPosition(nCount);
        for (int i = 0; i < GetCount() && pos != NULL; i++)
        {
            CXTPControl* pControl = GetAt(i);
            if (pControl->IsTemporary())
                continue;
            CXTPPropExchangeSection secControl(pEnumerator->GetNext(pos));
            CObject* pObject = pControl;
            secControl->ExchangeObjectByClass(pObject, RUNTIME_CLASS(CXTPControl));
            pControl->DoPropExchange(secControl);
        }

        BOOL bOriginal = m_pOriginalControls != NULL && (pParam == NULL || pParam->bSaveOriginalControls);
        PropExchangeBool(pPX, "OriginalControls", bOriginal, FALSE);
        if (bOriginal)
        {
            CXTPPropExchangeSection secOriginal(pPX->OpenSection("OriginalControls"));
            m_pOriginalControls->DoPropExchange(secOriginal);
        }
        BOOL bCustomized = FALSE;
        PropExchangeBool(pPX, "CustomizedControls", bCustomized, FALSE);
        return;
    }

    // Everything stored is read into lists of their own first: a store whose
    // entries end before its count, that names an unknown class or whose
    // archive breaks is damaged and leaves the controls as they are.
    CArray<CXTPControl*, CXTPControl*> arrLoaded;
    CXTPControls* pOriginal = NULL;
    BOOL bDamaged = FALSE;
    CXTPPropExchangeEnumeratorPtr pEnumerator(pPX->CreateEnumerator("Control"));
    try
    {
        POSITION pos = pEnumerator->GetPosition();
        for (int nLoaded = 0; pos != NULL && !bDamaged; nLoaded++)
        {
            if (nLoaded >= XTP_MAX_STORED_CONTROLS)
            {
                bDamaged = TRUE;
                break;
            }
            CXTPPropExchangeSection secControl(pEnumerator->GetNext(pos));
            // In a store of named values a missing "Class" is a missing
            // entry, not a default control.
            if (secControl->CanOmitValues())
            {
                CString strClass;
                if (!secControl->ExchangeValue("Class", VT_LPSTR, &strClass, NULL))
                {
                    bDamaged = TRUE;
                    break;
                }
            }
            CObject* pObject = NULL;
            if (!secControl->ExchangeObjectByClass(pObject, RUNTIME_CLASS(CXTPControl)) || pObject == NULL)
            {
                bDamaged = TRUE;
                break;
            }
            CXTPControl* pControl = (CXTPControl*)pObject;
            arrLoaded.Add(pControl);
            pControl->DoPropExchange(secControl);
        }

        if (!bDamaged && pPX->GetSchema() > 2)
        {
            BOOL bOriginal = FALSE;
            PropExchangeBool(pPX, "OriginalControls", bOriginal, FALSE);
            if (bOriginal)
            {
                pOriginal = new CXTPControls();
                pOriginal->SetCommandBars(GetCommandBars() != NULL ? GetCommandBars()
                                                                   : (pParam != NULL ? pParam->pCommandBars : NULL));
                CXTPPropExchangeSection secOriginal(pPX->OpenSection("OriginalControls"));
                pOriginal->DoPropExchange(secOriginal);
            }
            BOOL bCustomized = FALSE;
            PropExchangeBool(pPX, "CustomizedControls", bCustomized, FALSE);
            if (bCustomized)
            {
                // An older form kept a second list here; it is read and dropped.
                CXTPControls* pCustomized = new CXTPControls();
                try
                {
                    CXTPPropExchangeSection secCustomized(pPX->OpenSection("CustomizedControls"));
                    pCustomized->DoPropExchange(secCustomized);
                }
                catch (CException*)
                {
                    pCustomized->InternalRelease();
                    throw;
                }
                pCustomized->InternalRelease();
            }
        }
    }
    catch (CException*)
    {
        // A broken archive: what was read goes, the controls stay, and the
        // caller learns of the damage.
        for (INT_PTR i = 0; i < arrLoaded.GetSize(); i++)
            arrLoaded[i]->InternalRelease();
        if (pOriginal != NULL)
            pOriginal->InternalRelease();
        throw;
    }
    if (bDamaged)
    {
        TRACE("CXTPControls: damaged stored controls (%d read); the controls are left as they were\n",
              (int)arrLoaded.GetSize());
        for (INT_PTR i = 0; i < arrLoaded.GetSize(); i++)
            arrLoaded[i]->InternalRelease();
        if (pOriginal != NULL)
            pOriginal->InternalRelease();
        // A sequential archive cannot be read in step past the damage: the
        // bar that holds these controls is not whole, and its reader learns so.
        if (!pPX->CanOmitValues())
            AfxThrowArchiveException(CArchiveException::badIndex);
        return;
    }
    RemoveAll();
    for (INT_PTR i = 0; i < arrLoaded.GetSize(); i++)
        Append(arrLoaded[i]);
    if (pOriginal != NULL)
        SetOriginalControls(pOriginal);   // takes over the reference
}

//////////////////////////////////////////////////////////////////////////
// Bars

void CXTPCommandBar::DoPropExchange(CXTPPropExchange* pPX)
{
    int nSchema = pPX->GetSchema();
    long nType = m_barType, nPosition = m_barPosition;
    PropExchangeLongWithDefault(pPX, "Type", nType, 1);
    PropExchangeLongWithDefault(pPX, "Position", nPosition, 0);
    PropExchangeLongWithDefault(pPX, "BarID", m_nBarID, 0);
    PropExchangeLongWithDefault(pPX, "Flags", m_dwFlags, 0);
    PropExchangeLongWithDefault(pPX, "Style", m_dwStyle, 0);
    PropExchangeStringWithDefault(pPX, "Title", m_strTitle, "");
    PropExchangeBool(pPX, "Customizable", m_bCustomizable, TRUE);
    PropExchangeLongWithDefault(pPX, "MRUWidth", m_nMRUWidth, 0);
    if (pPX->IsLoading())
    {
        // Kinds and positions outside the known ones are not this program's.
        m_barType = nType >= xtpBarTypeMenuBar && nType <= xtpBarTypeRibbon ? (XTPBarType)nType : xtpBarTypeNormal;
        m_barPosition = nPosition >= xtpBarTop && nPosition <= xtpBarNone ? (XTPBarPosition)nPosition : xtpBarTop;
    }
    if (nSchema > 2)
    {
        PropExchangeSize(pPX, "IconSize", m_szIcons, CSize(0, 0));
        XTP_COMMANDBARS_PROPEXCHANGE_PARAM* pParam = XTPGetExchangeParam(pPX);
        if (pPX->IsLoading() && pParam != NULL)
            m_pCommandBars = pParam->pCommandBars;
    }
    if (nSchema > 17)
    {
        PropExchangeSize(pPX, "ButtonSize", m_szButtons, CSize(0, 0));
        PropExchangeLongWithDefault(pPX, "ShowTextBelowIcons", m_bTextBelow, 2);
        BOOL bAnimation = m_pAnimation != NULL ? m_pAnimation->GetAnimationProperty() : m_bAnimationEnabled;
        PropExchangeBool(pPX, "EnableAnimation", bAnimation, FALSE);
        if (pPX->IsLoading())
        {
            m_bAnimationEnabled = bAnimation;
            if (m_pAnimation != NULL)
                m_pAnimation->SetAnimationProperty(bAnimation);
        }
    }
    if (nSchema > 18)
    {
        long nStyle = m_buttonStyle;
        PropExchangeLongWithDefault(pPX, "DefaultButtonStyle", nStyle, 0);
        m_buttonStyle = (XTPButtonStyle)nStyle;
    }
    CXTPPropExchangeSection secControls(pPX->OpenSection("Controls"));
    m_pControls->DoPropExchange(secControls);
}

void CXTPToolBar::DoPropExchange(CXTPPropExchange* pPX)
{
    CXTPCommandBar::DoPropExchange(pPX);
    int nSchema = pPX->GetSchema();
    PropExchangeBool(pPX, "BuiltIn", m_bBuiltIn, TRUE);
    PropExchangeBool(pPX, "TearOff", m_bTearOff, FALSE);
    if (nSchema > 6)
        PropExchangeBool(pPX, "Closeable", m_bCloseable, TRUE);
    if (nSchema > 7)
        PropExchangeBool(pPX, "ContextMenuPresent", m_bContextMenuPresent, TRUE);
    if (nSchema > 16)
        PropExchangeBool(pPX, "CustomizeDialogPresent", m_bCustomizeDialogPresent, TRUE);
    if (pPX->IsLoading() && nSchema <= 16 && m_barType == xtpBarTypeMenuBar)
        m_bCloseable = FALSE;
}

void CXTPMenuBar::DoPropExchange(CXTPPropExchange* pPX)
{
    if (pPX->IsStoring() && m_pMDIMenus->GetCount() > 0)
    {
        // The menu shown now keeps its controls in its own record too.
        CXTPMenuBarMDIMenuInfo* pInfo = m_pMDIMenus->Lookup(m_nIDResourceCurrent);
        if (pInfo != NULL && pInfo->m_pControls != m_pControls)
        {
            CXTPControls* pCopy = m_pControls->Duplicate(TRUE);
            pInfo->m_pControls->InternalRelease();
            pInfo->m_pControls = pCopy;
        }
    }

    CXTPToolBar::DoPropExchange(pPX);
    PropExchangeLongWithDefault(pPX, "ResourceId", m_nIDResource, 0);

    if (pPX->IsStoring())
    {
        DWORD nCount = 0;
        POSITION pos = m_pMDIMenus->GetStartPosition();
        while (pos != NULL)
        {
            UINT nId;
            CXTPMenuBarMDIMenuInfo* pInfo;
            m_pMDIMenus->GetNextMenu(pos, nId, pInfo);
            if (pInfo->m_pControls != NULL && pInfo->m_pControls->GetCount() > 0)
                nCount++;
        }
        pPX->WriteCount(nCount);
        int nIndex = 0;
        pos = m_pMDIMenus->GetStartPosition();
        while (pos != NULL)
        {
            UINT nId;
            CXTPMenuBarMDIMenuInfo* pInfo;
            m_pMDIMenus->GetNextMenu(pos, nId, pInfo);
            if (pInfo->m_pControls == NULL || pInfo->m_pControls->GetCount() == 0)
                continue;
            CString strSection;
            strSection.Format("%s%i", "MDIMenu", nIndex++);
            CXTPPropExchangeSection secMenu(pPX->OpenSection(strSection));
            long nMenuId = (long)nId;
            PropExchangeLongWithDefault(secMenu, "Id", nMenuId, 0);
            pInfo->m_pControls->DoPropExchange(secMenu);
        }
        return;
    }

    if (pPX->GetSchema() <= 4)
        return;
    DWORD nCount = pPX->ReadCount();
    for (DWORD i = 0; i < nCount && i < (DWORD)XTP_MAX_STORED_MENUS; i++)
    {
        CString strSection;
        strSection.Format("%s%i", "MDIMenu", (int)i);
        CXTPPropExchangeSection secMenu(pPX->OpenSection(strSection));
        long nMenuId = 0;
        PropExchangeLongWithDefault(secMenu, "Id", nMenuId, 0);
        if (nMenuId == 0)
            break;   // a missing menu ends the list
        CXTPMenuBarMDIMenuInfo* pInfo = m_pMDIMenus->Lookup((UINT)nMenuId);
        if (pInfo == NULL)
        {
            XTP_COMMANDBARS_PROPEXCHANGE_PARAM* pParam = XTPGetExchangeParam(pPX);
            pInfo = new CXTPMenuBarMDIMenuInfo(pParam != NULL ? pParam->pCommandBars : GetCommandBars(),
                                               (UINT)nMenuId);
            m_pMDIMenus->SetAt((UINT)nMenuId, pInfo);
        }
        pInfo->m_pControls->DoPropExchange(secMenu);
    }
}

void CXTPPopupBar::DoPropExchange(CXTPPropExchange* pPX)
{
    CXTPCommandBar::DoPropExchange(pPX);
    int nSchema = pPX->GetSchema();
    PropExchangeBool(pPX, "TearOffPopup", m_bTearOffPopup, FALSE);
    PropExchangeStringWithDefault(pPX, "TearOffCaption", m_strTearOffCaption, "");
    PropExchangeLongWithDefault(pPX, "TearOffId", m_nTearOffID, 0);
    PropExchangeLongWithDefault(pPX, "TearOffWidth", m_nTearOffWidth, 0);
    if (nSchema > 3)
    {
        PropExchangeRect(pPX, "Borders", m_rcBorders, CRect(2, 4, 2, 4));
        PropExchangeBool(pPX, "ShowShadow", m_bShowShadow, TRUE);
    }
    if (nSchema > 8)
        PropExchangeBool(pPX, "DoubleGripper", m_bDoubleGripper, FALSE);
    if (nSchema < 20 && pPX->IsLoading())
        m_dwStyle |= XTP_CBRS_GRIPPER;
    if (nSchema > 18)
        PropExchangeBool(pPX, "ContextMenu", m_bContextMenu, FALSE);
}

//////////////////////////////////////////////////////////////////////////
// The list of all bars

void CXTPCommandBar::GenerateCommandBarList(DWORD& nID, CXTPCommandBarList* pCommandBarList, void* pParam)
{
    if (pCommandBarList == NULL || pCommandBarList->Lookup(this))
        return;
    InternalAddRef();
    pCommandBarList->Add(this);
    // Toolbars keep their ids; popups are numbered afresh on every save.
    if (!IsKindOf(RUNTIME_CLASS(CXTPToolBar)) && (m_nBarID == 0 || m_nBarID >= 0x1000000))
        m_nBarID = ++nID;

    for (int i = 0; i < GetControlCount(); i++)
    {
        CXTPControl* pControl = GetControl(i);
        if (!pControl->IsTemporary())
            pControl->GenerateCommandBarList(nID, pCommandBarList, pParam);
    }
    XTP_COMMANDBARS_PROPEXCHANGE_PARAM* pExchangeParam = (XTP_COMMANDBARS_PROPEXCHANGE_PARAM*)pParam;
    CXTPControls* pOriginal = m_pControls->GetOriginalControls();
    if (pOriginal != NULL && (pExchangeParam == NULL || pExchangeParam->bSaveOriginalControls))
    {
        for (int i = 0; i < pOriginal->GetCount(); i++)
            pOriginal->GetAt(i)->GenerateCommandBarList(nID, pCommandBarList, pParam);
    }

    CArray<CXTPControls*, CXTPControls*> arrMDIMenus;
    AddMDIMenuControls(this, arrMDIMenus);
    for (INT_PTR n = 0; n < arrMDIMenus.GetSize(); n++)
    {
        for (int i = 0; i < arrMDIMenus[n]->GetCount(); i++)
            arrMDIMenus[n]->GetAt(i)->GenerateCommandBarList(nID, pCommandBarList, pParam);
    }
}

void CXTPCommandBar::RestoreCommandBarList(CXTPCommandBarList* pCommandBarList)
{
    for (int i = 0; i < GetControlCount(); i++)
        GetControl(i)->RestoreCommandBarList(pCommandBarList);
    CXTPControls* pOriginal = m_pControls->GetOriginalControls();
    for (int i = 0; pOriginal != NULL && i < pOriginal->GetCount(); i++)
        pOriginal->GetAt(i)->RestoreCommandBarList(pCommandBarList);
}

void CXTPCommandBars::GenerateCommandBarList(CXTPCommandBarList* pCommandBarList, void* pParam)
{
    XTP_COMMANDBARS_PROPEXCHANGE_PARAM* pExchangeParam = (XTP_COMMANDBARS_PROPEXCHANGE_PARAM*)pParam;
    BOOL bOnlyCustomized = pExchangeParam != NULL && pExchangeParam->bSaveOnlyCustomized;
    DWORD nID = 0x1000000;
    for (int i = 0; i < GetCount(); i++)
    {
        CXTPToolBar* pBar = GetAt(i);
        if (bOnlyCustomized && pBar->IsBuiltIn() && !pBar->IsChanged())
            continue;
        pBar->GenerateCommandBarList(nID, pCommandBarList, pParam);
    }
    for (int i = 0; i < m_pContextMenus->GetCount(); i++)
    {
        CXTPCommandBar* pMenu = m_pContextMenus->GetAt(i);
        if (bOnlyCustomized && !pMenu->GetControls()->IsChanged())
            continue;
        pMenu->GenerateCommandBarList(nID, pCommandBarList, pParam);
    }
}

BOOL CXTPCommandBars::SaveCommandBarList(CXTPPropExchange* pPX, CXTPCommandBarList* pCommandBarList)
{
    try
    {
        CXTPPropExchangeSection secBars(pPX->OpenSection("CommandBars"));
        CXTPPropExchangeEnumeratorPtr pEnumerator(secBars->CreateEnumerator("CommandBar"));
        POSITION pos = pEnumerator->GetPosition((DWORD)pCommandBarList->GetCount());
        for (int i = 0; i < pCommandBarList->GetCount() && pos != NULL; i++)
        {
            CXTPCommandBar* pBar = pCommandBarList->GetAt(i);
            CXTPPropExchangeSection secBar(pEnumerator->GetNext(pos));
            CObject* pObject = pBar;
            secBar->ExchangeObjectByClass(pObject, RUNTIME_CLASS(CXTPCommandBar));
            pBar->DoPropExchange(secBar);
        }
    }
    catch (CException* e)
    {
        ::OutputDebugStringA("CXTPCommandBars: the bar controls could not be saved\n");
        e->Delete();
        return FALSE;
    }
    return TRUE;
}

BOOL CXTPCommandBars::LoadCommandBarList(CXTPPropExchange* pPX, CXTPCommandBarList* pCommandBarList)
{
    try
    {
        CXTPPropExchangeSection secBars(pPX->OpenSection("CommandBars"));
        CXTPPropExchangeEnumeratorPtr pEnumerator(secBars->CreateEnumerator("CommandBar"));
        POSITION pos = pEnumerator->GetPosition();
        for (int nLoaded = 0; pos != NULL; nLoaded++)
        {
            if (nLoaded >= XTP_MAX_STORED_BARS)
                return FALSE;
            CXTPPropExchangeSection secBar(pEnumerator->GetNext(pos));
            CObject* pObject = NULL;
            if (!secBar->ExchangeObjectByClass(pObject, RUNTIME_CLASS(CXTPCommandBar)) || pObject == NULL)
                return FALSE;
            // A bar joins the list only once it has read back whole.
            CXTPCommandBar* pBar = (CXTPCommandBar*)pObject;
            try
            {
                pBar->DoPropExchange(secBar);
            }
            catch (CException*)
            {
                pBar->InternalRelease();
                throw;
            }
            pCommandBarList->Add(pBar);
            pBar->GetControls()->RefreshIndexes();
        }
    }
    catch (CException* e)
    {
        // The stored bars are read one after another: the damage ends what
        // can be read, and the bars read whole before it are kept.
        TRACE("CXTPCommandBars: the saved bar controls are damaged after %d bars; those are kept\n",
              (int)pCommandBarList->GetCount());
        e->Delete();
        return FALSE;
    }
    return TRUE;
}

namespace {

// The popup controls of a loaded bar that still wait for their bar: in its
// controls, their original copy and, for a menu bar, its MDI menus.
void CollectPendingPopups(CXTPCommandBar* pBar, CArray<CXTPControlPopup*, CXTPControlPopup*>& arrPopups)
{
    CArray<CXTPControls*, CXTPControls*> arrLists;
    arrLists.Add(pBar->GetControls());
    if (pBar->GetControls()->GetOriginalControls() != NULL)
        arrLists.Add(pBar->GetControls()->GetOriginalControls());
    AddMDIMenuControls(pBar, arrLists);
    for (INT_PTR n = 0; n < arrLists.GetSize(); n++)
    {
        CXTPControls* pControls = arrLists[n];
        for (int i = 0; i < pControls->GetCount(); i++)
        {
            CXTPControlPopup* pPopup = DYNAMIC_DOWNCAST(CXTPControlPopup, pControls->GetAt(i));
            if (pPopup != NULL && pPopup->m_dwCommandBarID != 0)
                arrPopups.Add(pPopup);
        }
    }
}

} // namespace

int AFX_CDECL CXTPCommandBars::DropPopupCycles(CXTPCommandBarList* pCommandBarList)
{
    // The bars a loaded list links form a graph (a popup control is an edge
    // to the bar it opens). A depth-first walk, kept on its own stack so
    // that a long chain costs no call depth, finds every link that closes a
    // cycle: that link is dropped, the rest of the list stays.
    const int nBars = (int)pCommandBarList->GetCount();
    std::map<UINT, int> mapIndex;
    for (int i = nBars - 1; i >= 0; i--)
        mapIndex[pCommandBarList->GetAt(i)->GetBarID()] = i;   // the first bar of an id wins, as in linking
    std::vector<CArray<CXTPControlPopup*, CXTPControlPopup*>> edges((size_t)nBars);
    for (int i = 0; i < nBars; i++)
        CollectPendingPopups(pCommandBarList->GetAt(i), edges[(size_t)i]);

    std::vector<int> state((size_t)nBars, 0);   // 0 not seen, 1 on the walk, 2 done
    std::vector<std::pair<int, int>> stack;     // bar, next edge
    int nDropped = 0;
    for (int nRoot = 0; nRoot < nBars; nRoot++)
    {
        if (state[(size_t)nRoot] != 0)
            continue;
        state[(size_t)nRoot] = 1;
        stack.push_back(std::make_pair(nRoot, 0));
        while (!stack.empty())
        {
            std::pair<int, int>& top = stack.back();
            CArray<CXTPControlPopup*, CXTPControlPopup*>& arrEdges = edges[(size_t)top.first];
            if (top.second >= arrEdges.GetSize())
            {
                state[(size_t)top.first] = 2;
                stack.pop_back();
                continue;
            }
            CXTPControlPopup* pPopup = arrEdges[top.second++];
            std::map<UINT, int>::const_iterator it = mapIndex.find(pPopup->m_dwCommandBarID);
            if (it == mapIndex.end())
                continue;
            if (state[(size_t)it->second] == 1)
            {
                TRACE("CXTPCommandBars: a stored popup of bar %u opens bar %u, which leads back to it; the link is "
                      "dropped\n",
                      pCommandBarList->GetAt(top.first)->GetBarID(), pPopup->m_dwCommandBarID);
                pPopup->m_dwCommandBarID = 0;
                nDropped++;
            }
            else if (state[(size_t)it->second] == 0)
            {
                state[(size_t)it->second] = 1;
                stack.push_back(std::make_pair(it->second, 0));
            }
        }
    }
    return nDropped;
}

namespace {

// TRUE when a loaded bar, or a popup bar it opens (at any depth), has a
// stored popup link to a bar the list does not hold: the bar was saved
// whole, but part of what it opens was lost with damaged data.
BOOL OpensMissingBars(CXTPCommandBar* pBar, CXTPCommandBarList* pCommandBarList)
{
    std::set<CXTPCommandBar*> seen;
    std::vector<CXTPCommandBar*> stack(1, pBar);
    seen.insert(pBar);
    while (!stack.empty())
    {
        CXTPCommandBar* pCurrent = stack.back();
        stack.pop_back();
        CArray<CXTPControlPopup*, CXTPControlPopup*> arrPopups;
        CollectPendingPopups(pCurrent, arrPopups);
        for (INT_PTR i = 0; i < arrPopups.GetSize(); i++)
        {
            CXTPCommandBar* pTarget = pCommandBarList->FindCommandBar(arrPopups[i]->m_dwCommandBarID);
            if (pTarget == NULL)
                return TRUE;
            if (seen.insert(pTarget).second)
                stack.push_back(pTarget);
        }
    }
    return FALSE;
}

} // namespace

void CXTPCommandBars::RestoreCommandBarList(CXTPCommandBarList* pCommandBarList, BOOL bSilent)
{
    m_nRestoreDropped += DropPopupCycles(pCommandBarList);

    // Bars that open bars lost with damaged data are not restored: the
    // program's own bar of that id stays as it is.
    std::set<CXTPCommandBar*> incomplete;
    for (int i = 0; i < pCommandBarList->GetCount(); i++)
    {
        CXTPCommandBar* pBar = pCommandBarList->GetAt(i);
        if ((pBar->IsKindOf(RUNTIME_CLASS(CXTPToolBar)) ||
             (pBar->IsKindOf(RUNTIME_CLASS(CXTPPopupBar)) && ((CXTPPopupBar*)pBar)->IsContextMenu())) &&
            OpensMissingBars(pBar, pCommandBarList))
        {
            TRACE("CXTPCommandBars: the saved bar %u opens bars that were lost; it is not restored\n",
                  pBar->GetBarID());
            incomplete.insert(pBar);
            m_nRestoreDropped++;
        }
    }
    for (int i = 0; i < pCommandBarList->GetCount(); i++)
    {
        CXTPToolBar* pLoaded = DYNAMIC_DOWNCAST(CXTPToolBar, pCommandBarList->GetAt(i));
        if (pLoaded == NULL || incomplete.count(pLoaded) != 0)
            continue;
        pLoaded->RestoreCommandBarList(pCommandBarList);

        CXTPToolBar* pExisting = GetToolBar(pLoaded->GetBarID());
        if (pExisting == NULL && GetCount() >= XTP_MAX_STORED_TOOLBARS)
        {
            TRACE("CXTPCommandBars: the saved toolbar %u is one more than the %d a frame may hold; it is dropped\n",
                  pLoaded->GetBarID(), (int)XTP_MAX_STORED_TOOLBARS);
            m_nRestoreDropped++;
            continue;
        }
        if (pExisting == NULL)
        {
            // A bar the user made: it joins the bars.
            pLoaded->InternalAddRef();
            m_arrBars.Add(pLoaded);
            pLoaded->SetCommandBars(this);
            // Its window is created docked on the site, in a dock bar its
            // docking permissions allow; the bar positions loaded after the
            // controls put it where it was.
            XTPBarPosition position = pLoaded->GetPosition();
            if (position < xtpBarTop || position > xtpBarRight || (pLoaded->GetFlags() & (1u << position)) == 0)
            {
                position = xtpBarTop;
                for (int nSide = xtpBarTop; nSide <= xtpBarRight; nSide++)
                {
                    if (pLoaded->GetFlags() & (1u << nSide))
                    {
                        position = (XTPBarPosition)nSide;
                        break;
                    }
                }
            }
            if (!DockCommandBar(pLoaded, position))
                TRACE("CXTPCommandBars: the window of a loaded toolbar could not be created\n");
            OnToolBarAdded(pLoaded);
            continue;
        }
        MergeLoadedToolBar(pExisting, pLoaded, bSilent);
    }

    for (int i = 0; i < pCommandBarList->GetCount(); i++)
    {
        CXTPPopupBar* pLoaded = DYNAMIC_DOWNCAST(CXTPPopupBar, pCommandBarList->GetAt(i));
        if (pLoaded == NULL || !pLoaded->IsContextMenu() || incomplete.count(pLoaded) != 0)
            continue;
        pLoaded->RestoreCommandBarList(pCommandBarList);
        CXTPCommandBar* pExisting = m_pContextMenus->FindCommandBar(pLoaded->GetBarID());
        if (pExisting != NULL)
        {
            // The menu takes the loaded controls (the loaded bar keeps none)
            // and keeps its own originals.
            CXTPControls* pOriginal = pExisting->GetControls()->GetOriginalControls();
            if (pOriginal != NULL)
                pOriginal->InternalAddRef();
            CXTPControls* pLoadedControls = pLoaded->GetControls();
            pLoadedControls->InternalAddRef();
            CXTPControls* pEmpty = new CXTPControls();
            pLoaded->SetControls(pEmpty);
            pEmpty->InternalRelease();
            pExisting->SetControls(pLoadedControls);
            pLoadedControls->InternalRelease();
            pLoadedControls->SetOriginalControls(pOriginal);   // takes over our reference
        }
        else
        {
            pLoaded->InternalAddRef();
            pLoaded->SetCommandBars(this);
            m_pContextMenus->Add(pLoaded);
            if (pLoaded->GetControls()->GetOriginalControls() == NULL)
                pLoaded->GetControls()->CreateOriginalControls();
        }
    }
}

void CXTPCommandBars::MergeLoadedToolBar(CXTPToolBar* pExisting, CXTPToolBar* pLoaded, BOOL bSilent)
{
    CXTPControls* pExistingOriginal = pExisting->GetControls()->GetOriginalControls();
    CXTPControls* pLoadedOriginal = pLoaded->GetControls()->GetOriginalControls();
    if (pExistingOriginal != NULL && pLoadedOriginal != NULL && !pExistingOriginal->Compare(pLoadedOriginal))
    {
        if (!m_bOwnBarsChanged)
        {
            // The program's bars are those the state was saved with: the
            // stored copy of them is damaged, and the bar is not taken. It
            // counts as damage, so that the stored value is kept aside with
            // the player's changes to the bar in it.
            TRACE("CXTPCommandBars: the saved original controls of bar %u are damaged; the bar keeps its own\n",
                  pExisting->GetBarID());
            m_nRestoreDropped++;
            return;
        }
        // The program's own bar changed since the save.
        if (bSilent || pLoaded->GetControls()->Compare(pLoadedOriginal))
            return;
        CString strMessage, strFormat;
        strFormat.LoadString(9177);
        strMessage.Format(strFormat, (LPCTSTR)pExisting->GetTitle());
        if (AfxMessageBox(strMessage, MB_YESNO | MB_ICONQUESTION) == IDYES)
            return;
        pExistingOriginal->InternalAddRef();
        CopyLoadedToolBar(pExisting, pLoaded);
        pExisting->GetControls()->SetOriginalControls(pExistingOriginal);   // takes over our reference
        return;
    }

    if (pExistingOriginal != NULL)
        pExistingOriginal->InternalAddRef();
    CopyLoadedToolBar(pExisting, pLoaded);
    if (pLoadedOriginal == NULL && pExistingOriginal != NULL)
        pExisting->GetControls()->SetOriginalControls(pExistingOriginal);   // takes over our reference
    else if (pExistingOriginal != NULL)
        pExistingOriginal->InternalRelease();
}

void CXTPCommandBars::CopyLoadedToolBar(CXTPToolBar* pExisting, CXTPToolBar* pLoaded)
{
    // The bar's place stays: the saved positions come with the bar state.
    XTPBarPosition position = pExisting->GetPosition();
    CXTPDockBar* pDockBar = pExisting->GetDockBar();
    pExisting->Copy(pLoaded, FALSE);
    pExisting->m_barPosition = position;
    pExisting->SetDockBar(pDockBar);
    pExisting->SetCommandBars(this);
    pExisting->OnRecalcLayout();
}

namespace {

void MixFingerprint(DWORD& dwHash, DWORD dwValue)
{
    for (int i = 0; i < 4; i++)
    {
        dwHash ^= (dwValue >> (8 * i)) & 0xFF;
        dwHash *= 16777619u;
    }
}

void MixText(DWORD& dwHash, const CString& str)
{
    MixFingerprint(dwHash, (DWORD)str.GetLength());
    for (int n = 0; n < str.GetLength(); n++)
        MixFingerprint(dwHash, (BYTE)str[n]);
}

// A list of controls and the popups they open. A popup bar shared by
// several controls is walked once, at the first control met that opens it,
// so that bars shared down a chain cost no more than the bars there are.
// With bPlayer, everything the player can change counts, and a bar met
// again counts by the order in which it was first met. Without it, only
// what the program's own bars are made of counts, mixed as the stored
// fingerprints of earlier versions were.
void MixControls(DWORD& dwHash, CXTPControls* pControls, int nDepth, std::map<CXTPCommandBar*, DWORD>& seen,
                 BOOL bPlayer)
{
    if (pControls == NULL || nDepth > XTP_MAX_POPUP_DEPTH)
        return;
    if (!bPlayer)
        MixFingerprint(dwHash, (DWORD)pControls->GetCount());
    for (int i = 0; i < pControls->GetCount(); i++)
    {
        CXTPControl* pControl = pControls->GetAt(i);
        if (pControl->IsTemporary())
            continue;
        // A control the player hid counts as one the player removed: the
        // bar's Add or Remove list puts every removed original back as a
        // hidden control, where and how it stood in the original bar, and
        // building that list is no change of the player's.
        if (bPlayer && (pControl->GetHideFlags() & xtpHideCustomize) != 0)
            continue;
        if (bPlayer)
            MixText(dwHash, pControl->GetRuntimeClass()->m_lpszClassName);
        MixFingerprint(dwHash, (DWORD)pControl->GetType());
        MixFingerprint(dwHash, (DWORD)pControl->GetID());
        MixFingerprint(dwHash, (DWORD)pControl->GetBeginGroup());
        CString strCaption = pControl->GetCaption();
        if (bPlayer)
        {
            MixFingerprint(dwHash, (DWORD)pControl->GetStyle());
            MixFingerprint(dwHash, (DWORD)pControl->GetCustomIconId());
            MixText(dwHash, strCaption);
        }
        else
        {
            for (int n = 0; n < strCaption.GetLength(); n++)
                MixFingerprint(dwHash, (BYTE)strCaption[n]);
        }
        CXTPCommandBar* pBar = pControl->GetCommandBar();
        if (pBar == NULL)
        {
            if (bPlayer)
                MixFingerprint(dwHash, 0);
            continue;
        }
        std::map<CXTPCommandBar*, DWORD>::const_iterator it = seen.find(pBar);
        if (it != seen.end())
        {
            if (bPlayer)
                MixFingerprint(dwHash, it->second);
            continue;
        }
        DWORD dwOrder = (DWORD)seen.size() + 1;
        seen[pBar] = dwOrder;
        if (bPlayer)
            MixFingerprint(dwHash, dwOrder);
        MixControls(dwHash, pBar->GetControls(), nDepth + 1, seen, bPlayer);
    }
    if (bPlayer)
        MixFingerprint(dwHash, 0xFFFFFFFFu);   // the end of a list
}

void MixPlayerBar(DWORD& dwHash, CXTPCommandBar* pBar, std::map<CXTPCommandBar*, DWORD>& seen)
{
    MixText(dwHash, pBar->GetRuntimeClass()->m_lpszClassName);
    MixFingerprint(dwHash, pBar->GetBarID());
    MixText(dwHash, pBar->GetTitle());
    MixControls(dwHash, pBar->GetControls(), 0, seen, TRUE);
}

} // namespace

DWORD CXTPCommandBars::GetControlsFingerprint() const
{
    DWORD dwHash = 2166136261u;
    std::map<CXTPCommandBar*, DWORD> seen;
    for (int i = 0; i < GetCount(); i++)
        MixPlayerBar(dwHash, GetAt(i), seen);
    MixFingerprint(dwHash, 0xFFFFFFFEu);
    for (int i = 0; i < m_pContextMenus->GetCount(); i++)
        MixPlayerBar(dwHash, m_pContextMenus->GetAt(i), seen);
    return dwHash != 0 ? dwHash : 1;
}

BOOL CXTPCommandBars::IsChangedSinceLoad() const
{
    return m_dwControlsAtLoad != 0 && GetControlsFingerprint() != m_dwControlsAtLoad;
}

DWORD CXTPCommandBars::GetOwnBarsFingerprint() const
{
    DWORD dwHash = 2166136261u;
    // One memo for all the bars: a popup bar shared by the original
    // controls of several toolbars is walked once too.
    std::map<CXTPCommandBar*, DWORD> seen;
    for (int i = 0; i < GetCount(); i++)
    {
        CXTPToolBar* pBar = GetAt(i);
        CXTPControls* pOriginal = pBar->GetControls()->GetOriginalControls();
        if (!pBar->IsBuiltIn() || pOriginal == NULL)
            continue;
        MixFingerprint(dwHash, pBar->GetBarID());
        MixControls(dwHash, pOriginal, 0, seen, FALSE);
    }
    return dwHash != 0 ? dwHash : 1;
}
