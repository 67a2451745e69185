// The controls and popup bars the ribbon bar is made of besides itself: the
// tab strip control (a control and a tab manager at once), the popup that
// shows a tab's groups while the ribbon is minimised, the button standing
// for a reduced group with the popup that shows that group, and the two
// control collections of the ribbon (its own and the quick-access toolbar's).
#pragma once

#include "XTPControlButton.h"
#include "XTPControlPopup.h"
#include "XTPControls.h"
#include "XTPPopupBar.h"
#include "XTPTabManager.h"
#include "XTPRibbonTab.h"

class CXTPRibbonBar;
class CXTPRibbonGroup;
class CXTPRibbonScrollableBar;
class CXTPTabPaintManager;

// Notification codes of the tab control to the owner site.
#define XTP_RIBBON_TCN_SELCHANGED (-551)
#define XTP_RIBBON_TCN_SELCHANGING (-552)

// The record of the tab notifications: the tab the selection moves to.
struct NMXTPTABCHANGE
{
    NMXTPCONTROL nmhdr;
    CXTPTabManagerItem* pTab;
};

class CXTPRibbonControlTab : public CXTPControlPopup, public CXTPTabManager
{
    DECLARE_DYNCREATE(CXTPRibbonControlTab)
public:
    CXTPRibbonControlTab();
    virtual ~CXTPRibbonControlTab();

    // Control side.
    virtual void SetFocused(BOOL bFocused);
    virtual BOOL IsFocused() const { return m_bFocused; }
    virtual void ExecuteFromKeyboard() { SetFocused(TRUE); }
    virtual int OnHookKeyDown(UINT nChar, LPARAM lParam);
    virtual BOOL OnSetPopup(BOOL bPopup);
    virtual BOOL OnSetSelected(int bSelected);
    virtual CXTPControl* Clone(BOOL bRecursive = FALSE);
    virtual void Draw(CDC* pDC);
    virtual CSize GetSize(CDC* pDC) { return CXTPControl::m_rcControl.Size(); }
    virtual void OnClick(BOOL bKeyboard = FALSE, CPoint pt = CPoint(0, 0)) {}
    virtual BOOL IsCustomizeMovable() const { return FALSE; }

    // Tab-manager side.
    virtual void Reposition();
    virtual CString GetItemTooltip(const CXTPTabManagerItem* pItem) const;
    virtual void SetSelectedItem(CXTPTabManagerItem* pItem);
    virtual CXTPTabPaintManager* GetPaintManager() const;
    virtual void RedrawControl(LPCRECT lpRect, BOOL bAnimate);
    virtual BOOL DrawIcon(CDC* pDC, CPoint pt, CXTPTabManagerItem* pItem, BOOL bDraw, CSize& szIcon) const;
    virtual BOOL IsMouseLocked() const;
    virtual BOOL HasFocus() const;

    // Accessibility.
    virtual HRESULT GetAccessibleChildCount(long* pcountChildren);
    virtual HRESULT GetAccessibleChild(VARIANT varChild, IDispatch** ppdispChild);
    virtual HRESULT GetAccessibleName(VARIANT varChild, BSTR* pszName);
    virtual BOOL IsAccessibleNameMnemonic(VARIANT varChild);
    virtual HRESULT GetAccessibleRole(VARIANT varChild, VARIANT* pvarRole);
    virtual HRESULT GetAccessibleState(VARIANT varChild, VARIANT* pvarState);
    virtual HRESULT GetAccessibleDefaultAction(VARIANT varChild, BSTR* pszDefaultAction);
    virtual HRESULT AccessibleSelect(long flagsSelect, VARIANT varChild);
    virtual HRESULT AccessibleLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight,
                                       VARIANT varChild);
    virtual HRESULT AccessibleHitTest(long xLeft, long yTop, VARIANT* pvarChild);
    virtual HRESULT AccessibleDoDefaultAction(VARIANT varChild);

    CXTPRibbonBar* GetRibbonBar() const;
    CXTPRibbonTab* GetTab(int nIndex) const;
    // The tab of a 1-based accessibility child, or NULL.
    CXTPRibbonTab* GetAccessibleTab(VARIANT varChild, HRESULT& hr) const;

public:
    BOOL m_bFocused;
};

// The popup that shows the selected tab's groups while the ribbon is
// minimised.
class CXTPRibbonTabPopupToolBar;

// The popup that shows a reduced group.
// The ribbon's own controls (see XTPRibbonBar.h).
BOOL AFX_CDECL XTPIsRibbonOwnControl(const CXTPControl* pControl);

class CXTPRibbonGroupPopupToolBar : public CXTPPopupToolBar
{
    DECLARE_DYNCREATE(CXTPRibbonGroupPopupToolBar)
public:
    explicit CXTPRibbonGroupPopupToolBar(CXTPRibbonGroup* pGroup = NULL);
    virtual ~CXTPRibbonGroupPopupToolBar();
    virtual BOOL IsOwnControl(CXTPControl* pControl) const { return XTPIsRibbonOwnControl(pControl); }

    virtual CSize CalcDynamicLayout(int nLength, DWORD dwMode);
    virtual void DrawCommandBar(CDC* pDC, CRect rcClipBox);
    virtual CSize GetButtonSize() const;
    virtual CRect GetBorders() { return m_rcBorders; }

    CXTPRibbonGroup* GetGroup() const { return m_pGroup; }

public:
    CXTPRibbonBar* m_pRibbonBar;
    CXTPRibbonGroup* m_pGroup;      // the private copy
    BOOL m_bMeasuring;
};

// The button of a reduced group (also a group placed on the quick-access
// toolbar). It holds a reference to the group it stands for; a group that
// has left its tab is looked up again by id when opening, else a plain
// popup opens.
class CXTPRibbonGroupControlPopup : public CXTPControlPopup
{
    DECLARE_DYNCREATE(CXTPRibbonGroupControlPopup)
public:
    explicit CXTPRibbonGroupControlPopup(CXTPRibbonGroup* pGroup = NULL);
    virtual ~CXTPRibbonGroupControlPopup();

    virtual CSize GetSize(CDC* pDC);
    virtual void Draw(CDC* pDC);
    virtual BOOL OnSetPopup(BOOL bPopup);
    virtual void Copy(CXTPControl* pControl, BOOL bRecursive = FALSE);
    virtual void RestoreCommandBarList(CXTPCommandBarList* pCommandBarList);
    virtual BOOL IsCustomizeMovable() const { return FALSE; }

    // The group this button stands for (one reference), or NULL.
    CXTPRibbonGroup* GetPopupGroup() const { return m_pPopupGroup; }
    void SetPopupGroup(CXTPRibbonGroup* pGroup);
    // The group to show now: the stood-for group while it is attached, else
    // the ribbon's group of the same id, else NULL.
    CXTPRibbonGroup* ResolvePopupGroup() const;

public:
    CXTPRibbonGroup* m_pPopupGroup;
    int m_nPopupGroupId;
    BOOL m_bGroupReference;     // m_pPopupGroup holds a reference (not for the group's own button)
};

// The option (dialog launcher) button in a group's caption band: a real
// control of the group's bar, laid out by the group, drawn by the ribbon
// theme and executing its command (the group's id unless set otherwise).
class CXTPRibbonGroupOption : public CXTPControlButton
{
    DECLARE_DYNCREATE(CXTPRibbonGroupOption)
public:
    CXTPRibbonGroupOption();

    virtual CSize GetSize(CDC* pDC);
    virtual void Draw(CDC* pDC);
    virtual BOOL IsCustomizeMovable() const { return FALSE; }
};

// The ribbon bar's controls.
class CXTPRibbonControls : public CXTPControls
{
    DECLARE_DYNCREATE(CXTPRibbonControls)
public:
    CXTPRibbonControls() : m_bForceRemove(FALSE) {}
    virtual ~CXTPRibbonControls();
    virtual void OnControlRemoved(CXTPControl* pControl);
    // RemoveAll keeps the ribbon's own parts (until the bar goes).
    virtual BOOL IsRemoveVetoed(CXTPControl* pControl) const;

    BOOL m_bForceRemove;
};

// The quick-access toolbar's controls; each is also in the ribbon's.
class CXTPRibbonQuickAccessControls : public CXTPControls
{
    DECLARE_DYNCREATE(CXTPRibbonQuickAccessControls)
public:
    CXTPRibbonQuickAccessControls();

    virtual void Remove(CXTPControl* pControl);
    virtual void OnControlAdded(CXTPControl* pControl);
    virtual void OnControlRemoved(CXTPControl* pControl);
    virtual void DoPropExchange(CXTPPropExchange* pPX);
    // The controls belong to the ribbon's collection: indexes are its own.
    virtual void RefreshIndexes() {}

    // The first visible control of the same id and kind, else NULL.
    CXTPControl* FindDuplicate(CXTPControl* pControl) const;
    CXTPRibbonBar* GetRibbonBar() const { return m_pRibbonBar; }
    void SetRibbonBar(CXTPRibbonBar* pBar) { m_pRibbonBar = pBar; }

public:
    CXTPRibbonBar* m_pRibbonBar;
    BOOL m_bLoading;
};
