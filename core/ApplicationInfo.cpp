// The game's global settings.
#include "ApplicationInfo.h"

#include "XTRegistryManager.h"

namespace
{
const char kSection[] = "ApplicationInfo";
const char kDisplayDebugInfo[] = "DisplayDebugInfo";
const char kTextBelowIcons[] = "TextBelowIcons";

CString FirstRunEntry()
{
    CString strEntry;
    strEntry.Format("%s_%s", "FirstRunOfVersion", HT_VERSION_TEXT);
    return strEntry;
}

BYTE ReadFlag(CXTRegistryManager& regManager, LPCTSTR lpszEntry, BYTE bCurrent)
{
    return regManager.GetProfileInt(kSection, lpszEntry, bCurrent ? 1 : 0) != 0 ? 1 : 0;
}
} // namespace

CApplicationInfo g_ApplicationInfo;

CApplicationInfo::CApplicationInfo()
    : m_bFirstRunOfVersion(1), m_bDisplayDebugInfo(0), m_bTextBelowIcons(1), m_bLoaded(FALSE)
{
}

CApplicationInfo::~CApplicationInfo()
{
    if (!m_bLoaded)
        return;
    try
    {
        if (!SaveToRegistry())
            TRACE("the settings could not all be written at exit; the values not written keep their earlier state\n");
    }
    catch (CException* e)
    {
        // No window is left to tell the player at exit; the previous
        // settings stay.
        TRACE_EXCEPTION("Saving the settings at exit", e);
        e->Delete();
    }
    catch (...)
    {
        TRACE_EXCEPTION("Saving the settings at exit", NULL);
    }
}

BOOL CApplicationInfo::LoadFromRegistry()
{
    {
        CXTRegistryManager regManager(HKEY_LOCAL_MACHINE);
        m_bDisplayDebugInfo = ReadFlag(regManager, kDisplayDebugInfo, m_bDisplayDebugInfo);
        m_bTextBelowIcons = ReadFlag(regManager, kTextBelowIcons, m_bTextBelowIcons);
        m_bFirstRunOfVersion = ReadFlag(regManager, FirstRunEntry(), m_bFirstRunOfVersion);
    }
    m_AppearanceInfoList.LoadFromRegistry();
    m_GradeInfoList.LoadFromRegistry();
    m_bLoaded = TRUE;
    return TRUE;
}

BOOL CApplicationInfo::SaveToRegistry()
{
    BOOL bSaved = TRUE;
    {
        CXTRegistryManager regManager(HKEY_LOCAL_MACHINE);
        bSaved &= regManager.WriteProfileInt(kSection, kDisplayDebugInfo, m_bDisplayDebugInfo ? 1 : 0);
        bSaved &= regManager.WriteProfileInt(kSection, kTextBelowIcons, m_bTextBelowIcons ? 1 : 0);
        // A run that ends normally makes the next start of this version no
        // longer a first run.
        bSaved &= regManager.WriteProfileInt(kSection, FirstRunEntry(), 0);
    }
    bSaved &= m_AppearanceInfoList.SaveToRegistry();
    bSaved &= m_GradeInfoList.SaveToRegistry();
    return bSaved;
}
