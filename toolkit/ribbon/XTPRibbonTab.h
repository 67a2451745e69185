// A ribbon tab: one item of the ribbon's tab strip that owns the groups
// shown while it is selected. Tabs of one context (a tool set shown only for
// some selection) carry a context colour and caption; side-by-side tabs of
// the same context share one coloured header in the caption row.
#pragma once

#include "XTPTabManager.h"

class CXTPRibbonBar;
class CXTPRibbonGroups;
class CXTPRibbonGroup;
class CXTPCommandBar;
class CXTPRibbonTab;

// Context colours of a tab (0 = no context).
enum XTPRibbonTabContextColor
{
    xtpRibbonTabContextColorNone = 0,
    xtpRibbonTabContextColorBlue = 1,
    xtpRibbonTabContextColorYellow = 2,
    xtpRibbonTabContextColorGreen = 3,
    xtpRibbonTabContextColorRed = 4,
    xtpRibbonTabContextColorPurple = 5,
    xtpRibbonTabContextColorCyan = 6,
    xtpRibbonTabContextColorOrange = 7
};

// The header over a run of tabs of one context.
class CXTPRibbonTabContextHeader
{
public:
    // Starts a header at the tab; the tab points at it.
    explicit CXTPRibbonTabContextHeader(CXTPRibbonTab* pFirstTab);

    CXTPRibbonTab* m_pFirstTab;
    CXTPRibbonTab* m_pLastTab;
    CString m_strCaption;
    int m_nColor;
    CRect m_rcHeader;
};

// The headers of the last layout; owns its records.
class CXTPRibbonTabContextHeaders
{
public:
    CXTPRibbonTabContextHeaders() {}
    ~CXTPRibbonTabContextHeaders() { RemoveAll(); }

    int GetCount() const { return (int)m_arrHeaders.GetSize(); }
    // An index outside 0..count-1 raises the invalid-argument exception.
    CXTPRibbonTabContextHeader* GetAt(int nIndex) const;
    void Add(CXTPRibbonTabContextHeader* pHeader) { m_arrHeaders.Add(pHeader); }
    void RemoveAll();
    // The first header whose rectangle holds the point, else NULL.
    CXTPRibbonTabContextHeader* HitTest(CPoint point) const;

private:
    CXTPRibbonTabContextHeaders(const CXTPRibbonTabContextHeaders&);
    CXTPRibbonTabContextHeaders& operator=(const CXTPRibbonTabContextHeaders&);
    CArray<CXTPRibbonTabContextHeader*, CXTPRibbonTabContextHeader*> m_arrHeaders;
};

class CXTPRibbonTab : public CXTPTabManagerItem
{
    DECLARE_DYNCREATE(CXTPRibbonTab)
public:
    CXTPRibbonTab();
    virtual ~CXTPRibbonTab();

    // Hiding the selected tab selects the next visible enabled tab, or
    // leaves no tab selected when there is none.
    virtual void SetVisible(BOOL bVisible);
    // Empties the groups.
    virtual void OnRemoved();
    // Takes the context, the value and the ribbon and rebuilds the groups.
    virtual void Copy(CXTPRibbonTab* pTab);

    CXTPRibbonGroups* GetGroups() const { return m_pGroups; }
    CXTPRibbonBar* GetRibbonBar() const { return m_pRibbonBar; }
    CXTPCommandBar* GetParentBar() const { return m_pParentBar; }
    int GetContextColor() const { return m_nContextColor; }
    void SetContextColor(int nColor) { m_nContextColor = nColor; }
    CString GetContextCaption() const { return m_strContextCaption; }
    void SetContextCaption(LPCTSTR lpszCaption) { m_strContextCaption = lpszCaption; }
    void SetContext(int nColor, LPCTSTR lpszCaption) { m_nContextColor = nColor; m_strContextCaption = lpszCaption; }
    CXTPRibbonTabContextHeader* GetContextHeader() const { return m_pContextHeader; }
    int GetTabValue() const { return m_nTabValue; }
    void SetTabValue(int nValue) { m_nTabValue = nValue; }
    int GetId() const { return m_nId; }
    void SetId(int nId) { m_nId = nId; }

    // A new group of the default class at the end (or before nIndex).
    CXTPRibbonGroup* AddGroup(LPCTSTR lpszCaption, int nId = 0, int nIndex = -1);
    // The first group with the id, else NULL.
    CXTPRibbonGroup* FindGroup(int nId) const;

public:
    CXTPRibbonGroups* m_pGroups;
    CXTPRibbonBar* m_pRibbonBar;
    CXTPCommandBar* m_pParentBar;       // the bar showing the groups
    int m_nTabValue;
    int m_nContextColor;
    CString m_strContextCaption;
    CXTPRibbonTabContextHeader* m_pContextHeader;
    int m_nId;
};
