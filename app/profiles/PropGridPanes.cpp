// The profile panes: a sort toolbar over a profile grid.
#include "PropGridPanes.h"

#include "XTPCommandBarsDefines.h"
#include "XTPImageManager.h"
#include "XTPPaintManager.h"
#include "resource.h"

#include <new>

/////////////////////////////////////////////////////////////////////////////
// CPropGridPane_Base

BEGIN_MESSAGE_MAP(CPropGridPane_Base, CWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_SYSCOLORCHANGE()
    ON_MESSAGE(WM_XTP_BEFORECREATECONTROL, OnBeforeCreateControl)
    ON_COMMAND(ID_PROFILE_SORT_CATEGORIZED, OnSortCategorized)
    ON_COMMAND(ID_PROFILE_SORT_ALPHABETIC, OnSortAlphabetic)
    ON_UPDATE_COMMAND_UI(ID_PROFILE_SORT_CATEGORIZED, OnUpdateSortCategorized)
    ON_UPDATE_COMMAND_UI(ID_PROFILE_SORT_ALPHABETIC, OnUpdateSortAlphabetic)
END_MESSAGE_MAP()

CPropGridPane_Base::CPropGridPane_Base()
    : m_pGrid(NULL)
{
}

CPropGridPane_Base::~CPropGridPane_Base()
{
    // The grid goes before the toolbar.
    delete m_pGrid;
    m_pGrid = NULL;
}

int CPropGridPane_Base::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    return OnCreatePane(lpCreateStruct);
}

int CPropGridPane_Base::OnCreatePane(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;

    m_pGrid = CreateGrid();
    if (m_pGrid == NULL || !m_pGrid->Create(CRect(0, 0, 0, 0), this, 1000, 0))
    {
        TRACE("profile pane: the grid could not be created\n");
        return 0;
    }
    // Every edit of a pane's grid goes to the main frame.
    m_pGrid->SetOwner(GetTopLevelFrame() != NULL ? (CWnd*)GetTopLevelFrame() : GetTopLevelParent());

    // The toolbar's pictures take green as their transparent colour.
    COLORREF clrOldMask = XTPImageManager()->SetMaskColor(RGB(0, 255, 0));
    if (!m_wndToolBar.CreateToolBar(0x50010010, this, AFX_IDW_TOOLBAR) || !m_wndToolBar.LoadToolBar(GetToolBarID(), TRUE))
        TRACE("profile pane: the sort toolbar could not be made\n");
    XTPImageManager()->SetMaskColor(clrOldMask);

    m_pGrid->SetTheme(xtpGridThemeOffice2003);
    return 0;
}

void CPropGridPane_Base::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    int nToolBarHeight = 0;
    if (m_wndToolBar.GetSafeHwnd() != NULL)
    {
        CSize sz = m_wndToolBar.CalcDockingLayout(cx, LM_HORZ | LM_HORZDOCK | LM_COMMIT);
        nToolBarHeight = sz.cy;
        m_wndToolBar.MoveWindow(0, 0, cx, nToolBarHeight);
        m_wndToolBar.Invalidate(FALSE);
    }
    if (m_pGrid != NULL && m_pGrid->GetSafeHwnd() != NULL)
    {
        m_pGrid->MoveWindow(0, nToolBarHeight, cx, std::max(0, cy - nToolBarHeight));
        m_pGrid->Invalidate(FALSE);
    }
}

void CPropGridPane_Base::OnSysColorChange()
{
    CWnd::OnSysColorChange();
    XTPPaintManager()->RefreshMetrics();
}

LRESULT CPropGridPane_Base::OnBeforeCreateControl(WPARAM, LPARAM lParam)
{
    return OnCreateControl((XTP_COMMANDBARS_CREATECONTROL*)lParam);
}

void CPropGridPane_Base::OnSortCategorized()
{
    if (m_pGrid != NULL)
        m_pGrid->GetGridView().SetSortMode(xtpGridSortCategorized, FALSE, TRUE);
}

void CPropGridPane_Base::OnSortAlphabetic()
{
    if (m_pGrid != NULL)
        m_pGrid->GetGridView().SetSortMode(xtpGridSortAlphabetical, FALSE, TRUE);
}

void CPropGridPane_Base::OnUpdateSortCategorized(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_pGrid != NULL && m_pGrid->GetGridView().GetSortMode() == xtpGridSortCategorized);
}

void CPropGridPane_Base::OnUpdateSortAlphabetic(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_pGrid != NULL && m_pGrid->GetGridView().GetSortMode() == xtpGridSortAlphabetical);
}

/////////////////////////////////////////////////////////////////////////////
// CAppearancePropGridPane

CAppearancePropGridPane::CAppearancePropGridPane()
{
}

void CAppearancePropGridPane::Refresh()
{
    CAppearancePropGrid* pGrid = GetAppearanceGrid();
    if (pGrid == NULL || pGrid->GetSafeHwnd() == NULL)
        return;
    pGrid->SetAppearanceInfo(m_AppearanceInfo);
    pGrid->RefreshItems();
}

BOOL CAppearancePropGridPane::OnCreateControl(XTP_COMMANDBARS_CREATECONTROL*)
{
    return FALSE;
}

CXTPPropertyGrid* CAppearancePropGridPane::CreateGrid()
{
    return new (std::nothrow) CAppearancePropGrid();
}

UINT CAppearancePropGridPane::GetToolBarID()
{
    return IDR_PROFILE_PANE_TOOLBAR;
}

/////////////////////////////////////////////////////////////////////////////
// CGradeInfoPropGridPane

CGradeInfoPropGridPane::CGradeInfoPropGridPane()
{
}

void CGradeInfoPropGridPane::Refresh()
{
    CGradeInfoPropGrid* pGrid = GetGradeGrid();
    if (pGrid == NULL || pGrid->GetSafeHwnd() == NULL)
        return;
    pGrid->SetGradeInfo(m_GradeInfo);
    pGrid->RefreshItems(TRUE);
}

BOOL CGradeInfoPropGridPane::OnCreateControl(XTP_COMMANDBARS_CREATECONTROL*)
{
    return FALSE;
}

CXTPPropertyGrid* CGradeInfoPropGridPane::CreateGrid()
{
    CGradeInfoPropGrid* pGrid = new (std::nothrow) CGradeInfoPropGrid();
    // Edits here reach the running game at once: they keep to the limits.
    if (pGrid != NULL)
        pGrid->SetValidateEdits(TRUE);
    return pGrid;
}

UINT CGradeInfoPropGridPane::GetToolBarID()
{
    return IDR_PROFILE_PANE_TOOLBAR;
}
