// Command-bar options and their exchange.
#include "XTPCommandBarsOptions.h"
#include "XTPPropExchange.h"

IMPLEMENT_DYNAMIC(CXTPCommandBarsOptions, CCmdTarget)

void CXTPCommandIdSet::Copy(const CXTPCommandIdSet& other)
{
    RemoveAll();
    POSITION pos = other.GetStartPosition();
    while (pos != NULL)
    {
        UINT nId;
        BOOL b;
        other.GetNextAssoc(pos, nId, b);
        SetAt(nId, b);
    }
}

CXTPCommandBarsOptions::CXTPCommandBarsOptions()
    : bAlwaysShowFullMenus(TRUE), bShowFullAfterDelay(TRUE), bToolBarScreenTips(TRUE), bToolBarAccelTips(FALSE),
      bLargeIcons(FALSE), bSyncFloatingBars(TRUE), bShowExpandButtonAlways(TRUE), bDblClickFloat(FALSE),
      bShowTextBelowIcons(FALSE), bAltDragCustomization(TRUE), bAutoHideUnusedPopups(TRUE), bDirtyState(FALSE),
      bReservedFlag(FALSE), animationType(0), bAutoUpdateShortcuts(TRUE), keyboardCuesUse(1),
      bShowControlDescriptions(TRUE), szIcons(0, 0), szLargeIcons(0, 0), szPopupIcons(16, 16),
      bUseNumericKeypadAccel(FALSE), bUseSystemSaveBitsStyle(TRUE), bUpdateCmdUI(TRUE), bWrapLargePopups(FALSE),
      bShowKeyboardTips(FALSE), m_pCommandBars(NULL), keyboardCuesShow(0), bShowPopupBarToolTips(FALSE)
{
    EnableAutomation();
}
CXTPCommandBarsOptions::~CXTPCommandBarsOptions() {}
void CXTPCommandBarsOptions::Serialize(CArchive&) {}
void CXTPCommandBarsOptions::DoPropExchange(CXTPPropExchange*, BOOL) {}
void CXTPCommandBarsOptions::SetKeyboardCuesShow(int nShow) { keyboardCuesShow = nShow; }
void AFX_CDECL CXTPCommandBarsOptions::ExchangeIdSet(CXTPPropExchange*, LPCTSTR, CXTPCommandIdSet&) {}
