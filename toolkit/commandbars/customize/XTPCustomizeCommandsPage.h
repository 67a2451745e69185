// The "&Commands" page of the Customize sheet: command categories and, for
// the selected one, an owner-drawn list of its commands that are dragged out
// onto the bars.
#pragma once

#include <afxpropsheet.h>
#include <afxtempl.h>

class CXTPCommandBars;
class CXTPControls;
class CXTPControl;
class CXTPCustomizeSheet;

// One command category: a caption and its own controls, bound to the
// command bars.
struct XTP_COMMANDBARS_CATEGORYINFO
{
    XTP_COMMANDBARS_CATEGORYINFO(LPCTSTR lpszCategory, CXTPCommandBars* pCommandBars);
    ~XTP_COMMANDBARS_CATEGORYINFO();

    CString strCategory;
    CXTPControls* pControls;

private:
    XTP_COMMANDBARS_CATEGORYINFO(const XTP_COMMANDBARS_CATEGORYINFO&);
    XTP_COMMANDBARS_CATEGORYINFO& operator=(const XTP_COMMANDBARS_CATEGORYINFO&);
};

// The categories of a page, in insertion order; the list owns them.
class CXTPCommandBarsCategoryArray : public CArray<XTP_COMMANDBARS_CATEGORYINFO*, XTP_COMMANDBARS_CATEGORYINFO*>
{
public:
    ~CXTPCommandBarsCategoryArray() { RemoveAllCategories(); }
    void RemoveAllCategories();
    // The category of that caption (compared exactly), NULL when none.
    XTP_COMMANDBARS_CATEGORYINFO* Find(LPCTSTR lpszCategory) const;
    // NULL outside the array.
    XTP_COMMANDBARS_CATEGORYINFO* GetCategory(int nIndex) const;
    // Loads the menu; one category per top-level item with a sub-menu, named
    // by its text without '&' and cut at a tab, holding the sub-menu's items
    // (and with bListSubItems the items of their popups). FALSE when the menu
    // cannot be loaded.
    BOOL AddCategories(CXTPCommandBars* pCommandBars, UINT nIDResource, BOOL bListSubItems);
    // Inserts at nIndex, or appends for -1.
    void InsertCategory(XTP_COMMANDBARS_CATEGORYINFO* pInfo, int nIndex);
};

class CXTPCustomizeCommandsListBox : public CListBox
{
public:
    CXTPCustomizeCommandsListBox();
    CXTPCommandBars* m_pCommandBars;
    BOOL m_bDragable;

    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    CXTPControl* GetItemControl(int nIndex) const;

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);

    DECLARE_MESSAGE_MAP()
};

class CXTPCustomizeCommandsPage : public CPropertyPage
{
    DECLARE_DYNCREATE(CXTPCustomizeCommandsPage)
public:
    explicit CXTPCustomizeCommandsPage(CXTPCustomizeSheet* pSheet = NULL);
    virtual ~CXTPCustomizeCommandsPage();

    BOOL AddCategories(UINT nIDResource, BOOL bListSubItems = FALSE);
    BOOL InsertAllCommandsCategory(UINT nIDString, int nIndex = -1);
    BOOL InsertBuiltInMenus(UINT nIDResource, UINT nIDString, int nIndex = -1);
    BOOL InsertNewMenuCategory(UINT nIDString, int nIndex = -1);
    XTP_COMMANDBARS_CATEGORYINFO* FindCategory(LPCTSTR lpszCategory) const { return m_arrCategories.Find(lpszCategory); }
    XTP_COMMANDBARS_CATEGORYINFO* GetCategoryInfo(int nIndex) const { return m_arrCategories.GetCategory(nIndex); }
    int GetCategoryCount() const { return (int)m_arrCategories.GetSize(); }
    CXTPCommandBars* GetCommandBars() const;

    virtual BOOL OnInitDialog();
    virtual void DoDataExchange(CDataExchange* pDX);
    // Fills the commands list from the selected category.
    void RefreshCommandsList();

    afx_msg void OnCategoriesSelectionChanged();
    afx_msg void OnDestroy();

    CXTPCustomizeSheet* m_pSheet;
    CListBox m_lstCategories;
    CXTPCustomizeCommandsListBox m_lstCommands;
    CXTPCommandBarsCategoryArray m_arrCategories;

    DECLARE_MESSAGE_MAP()
};
