// The user's choices for all command bars of one frame: how menus show, icon
// sizes, tips, animation, Alt-drag customisation, keyboard cues and the sets
// of hidden and used commands. Saved under "<key>-Options" through property
// exchange; the same exchange serves an archive.
#pragma once

#include "XTPCommandBarsDefines.h"
#include <afxtempl.h>

class CXTPPropExchange;

// A set of command ids.
class CXTPCommandIdSet : public CMap<UINT, UINT, BOOL, BOOL>
{
public:
    BOOL Contains(UINT nId) const
    {
        BOOL b;
        return Lookup(nId, b);
    }
    void Add(UINT nId) { SetAt(nId, TRUE); }
    void Copy(const CXTPCommandIdSet& other);
};

class CXTPCommandBarsOptions : public CCmdTarget
{
    DECLARE_DYNAMIC(CXTPCommandBarsOptions)
public:
    CXTPCommandBarsOptions();
    virtual ~CXTPCommandBarsOptions();

    // Full exchange over an archive.
    virtual void Serialize(CArchive& ar);
    // The exchange (short form: the values of the registry section only).
    void DoPropExchange(CXTPPropExchange* pPX, BOOL bUserOptionsOnly = FALSE);

    // 0 always, 1 never, 2 as the system says.
    void SetKeyboardCuesShow(int nShow);
    int GetKeyboardCuesShow() const { return keyboardCuesShow; }
    void SetKeyboardCuesUse(int nUse) { keyboardCuesUse = nUse; }
    int GetKeyboardCuesUse() const { return keyboardCuesUse; }

    CXTPCommandBars* GetCommandBars() const { return m_pCommandBars; }
    void SetCommandBars(CXTPCommandBars* pCommandBars) { m_pCommandBars = pCommandBars; }

public:
    BOOL bAlwaysShowFullMenus;
    BOOL bShowFullAfterDelay;
    BOOL bToolBarScreenTips;
    BOOL bToolBarAccelTips;
    BOOL bLargeIcons;
    BOOL bSyncFloatingBars;
    BOOL bShowExpandButtonAlways;
    BOOL bDblClickFloat;
    BOOL bShowTextBelowIcons;
    BOOL bAltDragCustomization;
    BOOL bAutoHideUnusedPopups;
    BOOL bDirtyState;               // changed; cleared after bar state is saved or loaded
    BOOL bReservedFlag;
    int animationType;              // "Animation"
    BOOL bAutoUpdateShortcuts;      // popups take their shortcut texts from the shortcut manager
    int keyboardCuesUse;
    BOOL bShowControlDescriptions;  // status-bar prompts of controls
    CSize szIcons;
    CSize szLargeIcons;
    CSize szPopupIcons;
    BOOL bUseNumericKeypadAccel;
    BOOL bUseSystemSaveBitsStyle;
    BOOL bUpdateCmdUI;              // read by the bars' idle update
    BOOL bWrapLargePopups;          // tall popups become columns instead of scrolling
    CXTPCommandIdSet m_mapHiddenCommands;
    CXTPCommandIdSet m_mapUsedCommands;
    BOOL bShowKeyboardTips;
    CXTPCommandBars* m_pCommandBars;
    int keyboardCuesShow;
    BOOL bShowPopupBarToolTips;     // tips on popup bars

protected:
    static void AFX_CDECL ExchangeIdSet(CXTPPropExchange* pPX, LPCTSTR lpszKey, CXTPCommandIdSet& set);
};
