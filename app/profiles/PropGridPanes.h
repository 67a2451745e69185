// The windows of the two docking panes that show the current puzzle's own
// profiles: a small toolbar with the two sort buttons over a profile grid.
// Their grids report every edit to the main frame, which applies it to the
// puzzle; the difficulty pane refuses edits outside the profile's limits.
#pragma once

#include "ProfilePropGrids.h"
#include "XTPToolBar.h"

struct XTP_COMMANDBARS_CREATECONTROL;

class CPropGridPane_Base : public CWnd
{
public:
    CPropGridPane_Base();
    virtual ~CPropGridPane_Base();

    // WM_CREATE: the grid (its owner the top-level frame), the toolbar of
    // GetToolBarID with its pictures, and the Office 2003 look. -1 when the
    // default creation fails.
    virtual int OnCreatePane(LPCREATESTRUCT lpCreateStruct);
    // A command bar asks for a custom control: TRUE when one was made.
    virtual BOOL OnCreateControl(XTP_COMMANDBARS_CREATECONTROL* pCreateControl) = 0;
    // A new grid for the pane; the pane owns it.
    virtual CXTPPropertyGrid* CreateGrid() = 0;
    // The toolbar resource of the sort buttons.
    virtual UINT GetToolBarID() = 0;

    CXTPPropertyGrid* GetGrid() const { return m_pGrid; }
    CXTPToolBar& GetToolBar() { return m_wndToolBar; }

public:
    CXTPPropertyGrid* m_pGrid;
    CXTPToolBar m_wndToolBar;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnSysColorChange();
    afx_msg LRESULT OnBeforeCreateControl(WPARAM wParam, LPARAM lParam);
    afx_msg void OnSortCategorized();
    afx_msg void OnSortAlphabetic();
    afx_msg void OnUpdateSortCategorized(CCmdUI* pCmdUI);
    afx_msg void OnUpdateSortAlphabetic(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()
};

class CAppearancePropGridPane : public CPropGridPane_Base
{
public:
    CAppearancePropGridPane();

    // The profile the next Refresh shows (a copy of the current puzzle's).
    void SetAppearanceInfo(const CAppearanceInfo& info) { m_AppearanceInfo.CopyFrom(info); }
    // Shows the profile in the grid.
    virtual void Refresh();

    virtual BOOL OnCreateControl(XTP_COMMANDBARS_CREATECONTROL* pCreateControl);
    virtual CXTPPropertyGrid* CreateGrid();
    virtual UINT GetToolBarID();

    CAppearancePropGrid* GetAppearanceGrid() const { return (CAppearancePropGrid*)m_pGrid; }

protected:
    CAppearanceInfo m_AppearanceInfo;
};

class CGradeInfoPropGridPane : public CPropGridPane_Base
{
public:
    CGradeInfoPropGridPane();

    void SetGradeInfo(const CGradeInfo& info) { m_GradeInfo.CopyFrom(info); }
    // Shows the profile in the grid; its name, columns and rows cannot be
    // changed here.
    virtual void Refresh();

    virtual BOOL OnCreateControl(XTP_COMMANDBARS_CREATECONTROL* pCreateControl);
    virtual CXTPPropertyGrid* CreateGrid();
    virtual UINT GetToolBarID();

    CGradeInfoPropGrid* GetGradeGrid() const { return (CGradeInfoPropGrid*)m_pGrid; }

protected:
    CGradeInfo m_GradeInfo;
};
