// Command-bar options and their exchange with the registry, an INI file or
// an archive.
#include "XTPCommandBarsOptions.h"
#include "XTPCommandBars.h"
#include "XTPPaintManager.h"
#include "XTPPropExchange.h"

IMPLEMENT_DYNAMIC(CXTPCommandBarsOptions, CCmdTarget)

// The newest layout of the stored options.
static const long XTP_OPTIONS_SCHEMA = 20;

// Stored lists longer than this are not believed.
static const DWORD XTP_MAX_STORED_IDS = 65536;

void CXTPCommandIdSet::Copy(const CXTPCommandIdSet& other)
{
    RemoveAll();
    POSITION pos = other.GetStartPosition();
    while (pos != NULL)
    {
        UINT nId;
        BOOL bValue;
        other.GetNextAssoc(pos, nId, bValue);
        SetAt(nId, bValue);
    }
}

CXTPCommandBarsOptions::CXTPCommandBarsOptions()
    : bAlwaysShowFullMenus(TRUE)
    , bShowFullAfterDelay(TRUE)
    , bToolBarScreenTips(TRUE)
    , bToolBarAccelTips(FALSE)
    , bLargeIcons(FALSE)
    , bSyncFloatingBars(TRUE)
    , bShowExpandButtonAlways(TRUE)
    , bDblClickFloat(FALSE)
    , bShowTextBelowIcons(FALSE)
    , bAltDragCustomization(TRUE)
    , bAutoHideUnusedPopups(TRUE)
    , bDirtyState(FALSE)
    , bReservedFlag(FALSE)
    , animationType(0)
    , bAutoUpdateShortcuts(TRUE)
    , keyboardCuesUse(1)
    , bShowControlDescriptions(TRUE)
    , szIcons(0, 0)
    , szLargeIcons(0, 0)
    , szPopupIcons(16, 16)
    , bUseNumericKeypadAccel(FALSE)
    , bUseSystemSaveBitsStyle(TRUE)
    , bUpdateCmdUI(TRUE)
    , bWrapLargePopups(FALSE)
    , bShowKeyboardTips(FALSE)
    , m_pCommandBars(NULL)
    , keyboardCuesShow(0)
    , bShowPopupBarToolTips(FALSE)
{
    EnableAutomation();
}

CXTPCommandBarsOptions::~CXTPCommandBarsOptions()
{
}

void CXTPCommandBarsOptions::Serialize(CArchive& ar)
{
    CXTPPropExchangeArchive px(ar);
    DoPropExchange(&px, FALSE);
}

void AFX_CDECL CXTPCommandBarsOptions::ExchangeIdSet(CXTPPropExchange* pPX, LPCTSTR lpszKey, CXTPCommandIdSet& set)
{
    CXTPPropExchangeArchive* pArchivePX = dynamic_cast<CXTPPropExchangeArchive*>(pPX);
    if (pArchivePX != NULL)
    {
        if (pPX->IsLoading())
            set.RemoveAll();   // the stored set replaces the one in memory
        set.Serialize(pArchivePX->GetArchive());
        return;
    }
    // A store that may leave values out (registry, INI file) gets no section
    // for an empty set; a missing section reads back as an empty set.
    if (pPX->IsStoring() && set.GetCount() == 0 && pPX->CanOmitValues())
        return;

    CXTPPropExchangeSection secList(pPX->OpenSection(lpszKey));
    if (secList.GetExchange() == NULL)
        return;
    CString strItem;
    if (pPX->IsLoading())
    {
        set.RemoveAll();
        DWORD dwCount = secList->ReadCount();
        if (dwCount > XTP_MAX_STORED_IDS)
        {
            TRACE("CXTPCommandBarsOptions: the stored list \"%s\" claims %lu ids; it is ignored\n", lpszKey,
                  (unsigned long)dwCount);
            return;
        }
        // The items are numbered from 0 without gaps: the first missing one
        // ends the list, so a damaged count costs no reads of items that
        // were never written. Id 0 is no command.
        for (DWORD i = 0; i < dwCount; i++)
        {
            long nId = 0;
            strItem.Format(_T("Item%i"), (int)i);
            PropExchangeLongWithDefault(secList, strItem, nId, 0);
            if (nId == 0)
            {
                if (i + 1 < dwCount)
                    TRACE("CXTPCommandBarsOptions: the stored list \"%s\" ends at item %lu of %lu\n", lpszKey,
                          (unsigned long)i, (unsigned long)dwCount);
                break;
            }
            set.Add((UINT)nId);
        }
    }
    else
    {
        secList->WriteCount((DWORD)set.GetCount());
        int i = 0;
        POSITION pos = set.GetStartPosition();
        while (pos != NULL)
        {
            UINT nId;
            BOOL bValue;
            set.GetNextAssoc(pos, nId, bValue);
            long nValue = (long)nId;
            strItem.Format(_T("Item%i"), i++);
            PropExchangeLongWithDefault(secList, strItem, nValue, 0);
        }
    }
}

void CXTPCommandBarsOptions::DoPropExchange(CXTPPropExchange* pPX, BOOL bUserOptionsOnly)
{
    // Values missing from the store keep what is in memory, and every value
    // is written.
    pPX->UseDefaultOnLoad(FALSE);
    pPX->UseDefaultOnSave(FALSE);

    long nSchema = XTP_OPTIONS_SCHEMA;
    PropExchangeLongWithDefault(pPX, _T("Schema"), nSchema, XTP_OPTIONS_SCHEMA);
    if (pPX->IsStoring())
        nSchema = XTP_OPTIONS_SCHEMA;

    PropExchangeBool(pPX, _T("AlwaysShowFullMenus"), bAlwaysShowFullMenus, TRUE);
    PropExchangeBool(pPX, _T("ShowFullAfterDelay"), bShowFullAfterDelay, TRUE);
    PropExchangeBool(pPX, _T("ToolBarScreenTips"), bToolBarScreenTips, TRUE);
    PropExchangeBool(pPX, _T("ToolBarAccelTips"), bToolBarAccelTips, FALSE);
    PropExchangeBool(pPX, _T("LargeIcons"), bLargeIcons, FALSE);

    if (nSchema > 7)
        ExchangeIdSet(pPX, _T("UsedCommands"), m_mapUsedCommands);
    if (nSchema > 7 || bUserOptionsOnly)
        PropExchangeLongWithDefault(pPX, _T("Animation"), animationType, 0);
    if (bUserOptionsOnly)
        return;

    XTP_COMMANDBARS_ICONSINFO* pIconsInfo = NULL;
    CXTPPaintManager* pPaintManager =
        m_pCommandBars != NULL ? m_pCommandBars->GetPaintManager() : CXTPPaintManager::GetGlobalPaintManager();
    if (pPaintManager != NULL)
        pIconsInfo = pPaintManager->GetIconsInfo();

    PropExchangeBool(pPX, _T("SyncFloatingBars"), bSyncFloatingBars, TRUE);
    PropExchangeBool(pPX, _T("ShowExpandButtonAlways"), bShowExpandButtonAlways, TRUE);
    SIZE szZero = { 0, 0 };
    PropExchangeSize(pPX, _T("IconsSize"), szIcons, szZero);
    PropExchangeSize(pPX, _T("LargeIconsSize"), szLargeIcons, szZero);
    ExchangeIdSet(pPX, _T("HiddenCommands"), m_mapHiddenCommands);
    if (pIconsInfo != NULL)
    {
        PropExchangeBool(pPX, _T("IconsWithShadow"), pIconsInfo->bIconsWithShadow, FALSE);
        PropExchangeBool(pPX, _T("UseDisabledIcons"), pIconsInfo->bUseDisabledIcons, TRUE);
        PropExchangeBool(pPX, _T("UseFadedIcons"), pIconsInfo->bUseFadedIcons, TRUE);
    }

    if (nSchema > 7)
    {
        PropExchangeBool(pPX, _T("SyncFloatingBars"), bSyncFloatingBars, TRUE);
        PropExchangeBool(pPX, _T("ShowExpandButtonAlways"), bShowExpandButtonAlways, TRUE);
        PropExchangeBool(pPX, _T("DblClickFloat"), bDblClickFloat, FALSE);
        PropExchangeBool(pPX, _T("ShowTextBelowIcons"), bShowTextBelowIcons, FALSE);
        PropExchangeBool(pPX, _T("AltDragCustomization"), bAltDragCustomization, TRUE);
        PropExchangeBool(pPX, _T("AutoHideUnusedPopups"), bAutoHideUnusedPopups, TRUE);
        SIZE szPopup = { 16, 16 };
        PropExchangeSize(pPX, _T("PopupIconsSize"), szPopupIcons, szPopup);
    }
    if (nSchema > 8)
    {
        PropExchangeLongWithDefault(pPX, _T("KeyboardCuesUse"), keyboardCuesUse, 1);
        int nShow = keyboardCuesShow;
        PropExchangeLongWithDefault(pPX, _T("KeyboardCuesShow"), nShow, 0);
        if (pPX->IsLoading())
            SetKeyboardCuesShow(nShow);
    }
}

void CXTPCommandBarsOptions::SetKeyboardCuesShow(int nShow)
{
    keyboardCuesShow = nShow;
    if (m_pCommandBars == NULL)
        return;
    m_pCommandBars->SetKeyboardCuesFollowSystem(FALSE);
    m_pCommandBars->SetKeyboardCuesVisible(nShow != 1);
    if (nShow == 2)
    {
        BOOL bCues = TRUE;
        if (::SystemParametersInfo(SPI_GETKEYBOARDCUES, 0, &bCues, 0) && !bCues)
        {
            m_pCommandBars->SetKeyboardCuesFollowSystem(TRUE);
            m_pCommandBars->SetKeyboardCuesVisible(FALSE);
        }
    }
}
