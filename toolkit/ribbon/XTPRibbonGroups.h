// Ribbon groups: the captioned boxes of controls of a ribbon tab, and their
// collection, which lays them out across the groups area, reduces them step
// by step when they do not fit (smaller layouts, finally one popup button
// per group) and scrolls the area when even that does not fit.
#pragma once

#include "XTPCommandBarsDefines.h"
#include <afxtempl.h>

#include <utility>
#include <vector>

class CXTPControl;
class CXTPCommandBar;
class CXTPRibbonBar;
class CXTPRibbonTab;
class CXTPRibbonGroup;
class CXTPRibbonGroups;
class CXTPRibbonGroupControlPopup;
class CXTPRibbonScrollableBar;

// The layout record of one control of a group.
struct XTP_RIBBONGROUP_CONTROLRECORD
{
    CRect rcControl;    // relative to the group's content origin until placed
    int nColumn;        // the column key
    CRect rcWrap;       // the group's box row rect
    BOOL bHidden;       // not shown at the current reduction
};

class CXTPRibbonGroup : public CCmdTarget
{
    DECLARE_DYNCREATE(CXTPRibbonGroup)
public:
    CXTPRibbonGroup();
    virtual ~CXTPRibbonGroup();

    // Virtual operations, in the order the ribbon relies on.
    virtual void SetRect(int nLeft, int nTop, int nRight, int nBottom);
    virtual void Copy(CXTPRibbonGroup* pGroup);
    virtual void Draw(CDC* pDC, CRect rcClipBox);
    virtual void OnGroupAdded();
    virtual void OnGroupRemoved();
    // Resets the reduction before a layout.
    virtual void OnBeforeCalcSize(CDC* pDC);
    virtual void OnAfterCalcSize();
    // The group's width at its current reduction.
    virtual int CalcSize(CDC* pDC);
    // One reduction step of the level (0-3); TRUE only when the group changed.
    virtual BOOL Reduce(int nLevel);

    // Controls. Added controls also join the ribbon bar's controls.
    CXTPControl* Add(XTPControlType type, int nId, LPCTSTR lpszCaption = NULL, int nBefore = -1);
    CXTPControl* Add(CXTPControl* pControl, int nId, int nBefore = -1);
    int GetCount() const { return (int)m_arrControls.GetSize(); }
    CXTPControl* GetAt(int nIndex) const;
    int IndexOf(const CXTPControl* pControl) const;
    // Takes the control out of the group and the ribbon and releases it.
    void RemoveControl(CXTPControl* pControl);
    void RemoveControlAt(int nIndex);
    void RemoveAllControls();

    // Places the laid-out controls at (x, y) and sets the group's rect.
    void RepositionControls(CDC* pDC, int nWidth, int x, int y);

    // State.
    BOOL IsVisible() const;
    void SetVisible(BOOL bVisible);
    BOOL IsHighlighted() const;
    BOOL IsOptionButtonVisible() const { return !m_bReduced && m_bShowOptionButton; }
    void ShowOptionButton(BOOL bShow);
    BOOL IsReduced() const { return m_bReduced; }
    int GetReduceLevel() const { return m_nReduceLevel; }
    CString GetCaption() const { return m_strCaption; }
    void SetCaption(LPCTSTR lpszCaption);
    int GetID() const { return m_nId; }
    // The option button keeps following the group's id until given its own.
    void SetID(int nId);
    int GetIconId() const { return m_nIconId; }
    // The icon of the group's button when the group is reduced.
    void SetIconId(int nIconId);
    int GetIndex() const { return m_nIndex; }
    CRect GetRect() const { return m_rcGroup; }
    CXTPRibbonGroups* GetGroups() const { return m_pGroups; }
    CXTPRibbonTab* GetRibbonTab() const;
    CXTPRibbonBar* GetRibbonBar() const { return m_pRibbonBar; }
    CXTPCommandBar* GetParentBar() const { return m_pParentBar; }
    void SetParentBar(CXTPCommandBar* pBar) { m_pParentBar = pBar; }
    CXTPRibbonGroupControlPopup* GetControlGroupPopup() const { return m_pControlGroupPopup; }
    // The option (dialog launcher) button of the caption band; shown while
    // IsOptionButtonVisible.
    CXTPControl* GetControlGroupOption() const { return m_pControlGroupOption; }
    void SetCenterColumns(BOOL bCenter) { m_bCenterColumns = bCenter; }
    // The group was taken out of its collection (its copy may outlive it).
    BOOL IsDetached() const { return m_pGroups == NULL; }

    const XTP_RIBBONGROUP_CONTROLRECORD* GetRecord(int nIndex) const
    {
        return nIndex >= 0 && nIndex < m_arrRecords.GetSize() ? &m_arrRecords[nIndex] : NULL;
    }

protected:
    // Measures the controls at the current reduction into the records; the
    // content width.
    int LayoutControls(CDC* pDC);
    void CenterColumn(int nFirst, int nLast, int nAvailable);
    // Whether a control takes the height of the content (a large button).
    BOOL IsLargeControl(CXTPControl* pControl) const;

public:
    int m_nIndex;
    CXTPRibbonGroups* m_pGroups;
    CRect m_rcGroup;
    CArray<CXTPControl*, CXTPControl*> m_arrControls;
    CXTPCommandBar* m_pParentBar;
    CXTPRibbonBar* m_pRibbonBar;
    int m_nId;
    int m_nIconId;
    CString m_strCaption;
    CXTPRibbonGroupControlPopup* m_pControlGroupPopup;
    CXTPControl* m_pControlGroupOption;
    BOOL m_bReduced;
    BOOL m_bShowOptionButton;
    BOOL m_bVisible;
    BOOL m_bCenterColumns;
    BOOL m_bCenterColumnsOverride;
    int m_nReduceLevel;         // 0 full; 1 large buttons made small; 2 captions hidden; 3 one button
    CArray<XTP_RIBBONGROUP_CONTROLRECORD, XTP_RIBBONGROUP_CONTROLRECORD&> m_arrRecords;
    // The styles a reduction changed, given back by the next layout.
    std::vector<std::pair<CXTPControl*, XTPButtonStyle>> m_arrSavedStyles;

protected:
    void SaveStyle(CXTPControl* pControl, XTPButtonStyle styleNew);
    void RestoreStyles();
    // The style a control was given, before a reduction changed it.
    XTPButtonStyle GetOwnStyle(CXTPControl* pControl) const;
    // Takes a group-owned control (popup or option button) out of its bar.
    static void ReleaseOwnControl(CXTPControl* pControl);
};

class CXTPRibbonGroups : public CCmdTarget
{
public:
    explicit CXTPRibbonGroups(CXTPRibbonTab* pParentTab = NULL);
    virtual ~CXTPRibbonGroups();

    int GetCount() const { return (int)m_arrGroups.GetSize(); }
    // An index outside the array raises the invalid-argument exception.
    CXTPRibbonGroup* GetAt(int nIndex) const;
    CXTPRibbonGroup* InsertAt(int nIndex, CXTPRibbonGroup* pGroup);
    CXTPRibbonGroup* Add(CXTPRibbonGroup* pGroup) { return InsertAt(GetCount(), pGroup); }
    void Remove(CXTPRibbonGroup* pGroup);
    void RemoveAll();
    void Copy(CXTPRibbonGroups* pGroups);
    CXTPRibbonGroup* HitTest(CPoint point) const;
    CXTPRibbonGroup* FindGroup(int nId) const;

    // Sum of the widths with 7 px between visible groups.
    int CalcTotalWidth(const int* pWidths) const;
    // Lays the groups out in (0..nWidth) with the margins.
    void Reposition(CDC* pDC, int nWidth, int nHeight, CRect rcMargins);

    CXTPRibbonTab* GetParentTab() const { return m_pParentTab; }
    void SetParentTab(CXTPRibbonTab* pTab) { m_pParentTab = pTab; }
    int GetScrollOffset() const { return m_nScrollOffset; }

    // The number of Reduce calls of the last layout (for tests).
    int m_nLastReduceCalls;

protected:
    void RefreshIndexes();
    // The scrollable part of the bar showing the groups.
    CXTPRibbonScrollableBar* GetScrollableBar() const;

public:
    CArray<CXTPRibbonGroup*, CXTPRibbonGroup*> m_arrGroups;
    CXTPRibbonTab* m_pParentTab;
    int m_nScrollOffset;
};
