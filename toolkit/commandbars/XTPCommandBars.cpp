// The command-bars collection and its frame integration.
#include "XTPCommandBars.h"
#include "XTPToolBar.h"
#include "XTPMenuBar.h"
#include "XTPPopupBar.h"
#include "XTPDockBar.h"
#include "XTPControlAction.h"
#include "XTPCommandBarsOptions.h"
#include "XTPShortcutManager.h"
#include "XTPToolTipContext.h"
#include "XTPPaintManager.h"
#include "XTPImageManager.h"

IMPLEMENT_DYNCREATE(CXTPCommandBars, CCmdTarget)

LONG CXTPCommandBars::s_nInstanceCount = 0;

CXTPPopupBar* CXTPCommandBarsContextMenus::Add(CXTPPopupBar* p) { CXTPCommandBarList::Add(p); p->SetContextMenu(TRUE); return p; }

CXTPCommandBars::CXTPCommandBars()
    : m_pAttachedObject(NULL), m_bIgnoreShiftMenuKey(FALSE), m_pKeyboardTipsOwner(NULL), m_nKeyboardTipsLevel(0),
      m_pDragTracker(NULL), m_pPaintManager(NULL), m_pImageManager(NULL), m_pDragSelected(NULL),
      m_bCustomizeMode(FALSE), m_bCustomizable(FALSE), m_nDefaultMenuID(0), m_bQuickCustomizeMode(FALSE),
      m_pOptions(NULL), m_pContextMenus(NULL), m_pFrame(NULL), m_pToolTipContext(NULL), m_pMouseManager(NULL),
      m_bKeyboardCuesVisible(TRUE), m_pShortcutManager(NULL), m_nHelpTrackingID(0), m_pActions(NULL),
      m_bRecalcLayout(FALSE), m_bCuesFollowSystem(FALSE), m_bRightToLeft(FALSE), m_bEnableActions(FALSE)
{
    for (int i = 0; i < 4; i++)
        m_pDocks[i] = NULL;
    m_pBarClasses[classToolBar] = RUNTIME_CLASS(CXTPToolBar);
    m_pBarClasses[classMenuBar] = RUNTIME_CLASS(CXTPMenuBar);
    m_pBarClasses[classPopupBar] = RUNTIME_CLASS(CXTPPopupBar);
    m_pBarClasses[classPopupToolBar] = RUNTIME_CLASS(CXTPPopupToolBar);
    m_pBarClasses[classDockBar] = RUNTIME_CLASS(CXTPDockBar);
    m_pOptions = new CXTPCommandBarsOptions();
    m_pOptions->SetCommandBars(this);
    m_pActions = new CXTPControlActions(this);
    m_pShortcutManager = new CXTPShortcutManager(this);
    m_pContextMenus = new CXTPCommandBarsContextMenus(this);
    InterlockedIncrement(&s_nInstanceCount);
}
CXTPCommandBars::~CXTPCommandBars()
{
    m_pContextMenus->InternalRelease();
    m_pShortcutManager->InternalRelease();
    m_pOptions->InternalRelease();
    m_pActions->RemoveAll();
    m_pActions->InternalRelease();
    InterlockedDecrement(&s_nInstanceCount);
}
CXTPMenuBar* CXTPCommandBars::GetMenuBar() const { return NULL; }
BOOL CXTPCommandBars::IsCommandHidden(UINT) const { return FALSE; }
BOOL CXTPCommandBars::IsControlHidden(CXTPControl*) const { return FALSE; }
UINT CXTPCommandBars::GetActiveDocTemplate() { return 0; }
void CXTPCommandBars::ShowToolbarsContextMenu(CXTPCommandBar*, int, int) {}
CXTPPopupBar* CXTPCommandBars::GetToolbarsPopup() { return NULL; }
void CXTPCommandBars::FillExpandPopup(CXTPCommandBar*, CXTPCommandBar*) {}
void CXTPCommandBars::FillAddRemovePopup(CXTPCommandBar*, CXTPCommandBar*) {}
void CXTPCommandBars::OnToolBarAdded(CXTPToolBar*) {}
void CXTPCommandBars::OnToolBarRemoved(CXTPToolBar*) {}
void CXTPCommandBars::OnTrackingModeChanged(CXTPCommandBar*, int) {}
CXTPToolBar* CXTPCommandBars::CreateCustomToolBar(LPCTSTR, UINT, BOOL) { return NULL; }
void CXTPCommandBars::SetSite(CWnd* pFrame) { m_pFrame = pFrame; }
void CXTPCommandBars::CreateDockBars() {}
CXTPMenuBar* CXTPCommandBars::CreateMenuBar(LPCTSTR, UINT) { return NULL; }
CXTPToolBar* CXTPCommandBars::Add(LPCTSTR, XTPBarPosition, CRuntimeClass*) { return NULL; }
BOOL CXTPCommandBars::DockCommandBar(CXTPToolBar*, LPRECT, CXTPDockBar*) { return FALSE; }
BOOL CXTPCommandBars::DockCommandBar(CXTPToolBar*, XTPBarPosition) { return FALSE; }
BOOL CXTPCommandBars::FloatCommandBar(CXTPToolBar*) { return FALSE; }
BOOL CXTPCommandBars::OnFrameWndMsg(UINT, WPARAM, LPARAM, LRESULT*) { return FALSE; }
BOOL CXTPCommandBars::PreTranslateFrameMessage(MSG*) { return FALSE; }
void CXTPCommandBars::OnSetPreviewMode(BOOL) {}
CXTPToolBar* CXTPCommandBars::GetAt(int nIndex) const { return nIndex >= 0 && nIndex < m_arrBars.GetSize() ? m_arrBars[nIndex] : NULL; }
CXTPToolBar* CXTPCommandBars::GetToolBar(UINT) const { return NULL; }
int CXTPCommandBars::FindIndex(CXTPToolBar*) const { return -1; }
int CXTPCommandBars::GetNextVisible(int, int) const { return -1; }
void CXTPCommandBars::Remove(CXTPToolBar*) {}
void CXTPCommandBars::RemoveAll() {}
void CXTPCommandBars::ToggleVisible(int) {}
CXTPDockBar* CXTPCommandBars::GetDockBar(XTPBarPosition p) const { return p >= 0 && p < 4 ? m_pDocks[p] : NULL; }
CXTPDockBar* CXTPCommandBars::CanDock(CPoint, CXTPDockBar*) const { return NULL; }
void CXTPCommandBars::RecalcFrameLayout(BOOL) {}
void CXTPCommandBars::RedrawCommandBars() {}
void CXTPCommandBars::SetCustomizeMode(BOOL b) { m_bCustomizeMode = b; }
void CXTPCommandBars::SetQuickCustomizeMode(BOOL b) { m_bQuickCustomizeMode = b; }
void CXTPCommandBars::SetDragControl(CXTPControl* p) { m_pDragSelected = p; }
BOOL AFX_CDECL CXTPCommandBars::TrackPopupBar(CXTPPopupBar*, UINT, int, int, CWnd*, LPCRECT, UINT*) { return FALSE; }
UINT AFX_CDECL CXTPCommandBars::TrackPopupMenu(CMenu*, UINT, int, int, CWnd*, LPCRECT, CWnd*, CXTPCommandBars*) { return 0; }
void CXTPCommandBars::ClosePopups() const {}
void CXTPCommandBars::HideCommand(UINT) {}
void CXTPCommandBars::HideCommands(const UINT*, int) {}
void CXTPCommandBars::SetCommandUsed(UINT) {}
void CXTPCommandBars::ResetUsageData() {}
void CXTPCommandBars::SaveOptions(LPCTSTR) {}
void CXTPCommandBars::LoadOptions(LPCTSTR) {}
BOOL CXTPCommandBars::SetTrackingBar(CXTPCommandBar*) { return FALSE; }
BOOL CXTPCommandBars::SetNextTrackingBar(CXTPCommandBar*, BOOL) { return FALSE; }
void CXTPCommandBars::ShowKeyboardCues(BOOL b) { m_bKeyboardCuesVisible = b; }
void CXTPCommandBars::HideKeyboardTips() {}
void CXTPCommandBars::ShowKeyboardTips(CXTPCommandBar*, int) {}
BOOL CXTPCommandBars::OnFrameAccel(TCHAR) { return FALSE; }
CXTPControlAction* CXTPCommandBars::CreateAction(int nId) { return m_pActions->Add(nId); }
CXTPControlAction* CXTPCommandBars::FindAction(int nId) const { return m_pActions->FindAction(nId); }
CXTPPaintManager* CXTPCommandBars::GetPaintManager() const { return m_pPaintManager ? m_pPaintManager : CXTPPaintManager::GetGlobalPaintManager(); }
void CXTPCommandBars::SetPaintManager(CXTPPaintManager* p) { m_pPaintManager = p; }
CXTPImageManager* CXTPCommandBars::GetImageManager() const { return m_pImageManager ? m_pImageManager : XTPImageManager(); }
void CXTPCommandBars::SetImageManager(CXTPImageManager* p) { m_pImageManager = p; }
CXTPReBar* CXTPCommandBars::GetReBar() const { return NULL; }
CXTPMouseManager* CXTPCommandBars::GetMouseManager() const { return XTPMouseManager(); }
CXTPToolBar* CXTPCommandBars::CreateToolBarObject(XTPBarClass) const { return NULL; }
void CXTPCommandBars::OnSysColorChange() {}
