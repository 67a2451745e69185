// The toolbar.
#include "XTPToolBar.h"
#include "XTPControls.h"
#include "XTPCommandBars.h"

IMPLEMENT_DYNCREATE(CXTPToolBar, CXTPCommandBar)
XTP_IMPLEMENT_DYNCREATE_NESTED(CXTPToolBar, CControlButtonExpand, CXTPControlPopup)
XTP_IMPLEMENT_DYNCREATE_NESTED(CXTPToolBar, CControlButtonHide, CXTPControlButton)
XTP_IMPLEMENT_DYNCREATE_NESTED(CXTPToolBar, CControlButtonCustomize, CXTPControlButton)

BEGIN_MESSAGE_MAP(CXTPToolBar, CXTPCommandBar)
END_MESSAGE_MAP()

CXTPToolBar::CControlButtonExpand::CControlButtonExpand() : m_bHiddenControls(FALSE) { m_nId = XTP_ID_TOOLBAR_EXPAND; m_controlType = xtpControlButtonPopup; m_dwFlags = 0x1C; }
void CXTPToolBar::CControlButtonExpand::SetRect(CRect rc) { CXTPControlPopup::SetRect(rc); }
void CXTPToolBar::CControlButtonExpand::Draw(CDC*) {}
CSize CXTPToolBar::CControlButtonExpand::GetSize(CDC*) { return CSize(0, 0); }
BOOL CXTPToolBar::CControlButtonExpand::OnSetPopup(BOOL) { return FALSE; }
CXTPToolBar::CControlButtonHide::CControlButtonHide() { m_nId = XTP_ID_TOOLBAR_HIDE; m_dwFlags = 0x1A; }
void CXTPToolBar::CControlButtonHide::OnExecute() {}
void CXTPToolBar::CControlButtonHide::Draw(CDC*) {}
CXTPToolBar::CControlButtonCustomize::CControlButtonCustomize() : m_pTargetControl(NULL), m_pTargetBar(NULL) {}
CXTPToolBar::CControlButtonCustomize::~CControlButtonCustomize() {}
void CXTPToolBar::CControlButtonCustomize::OnExecute() {}
CSize CXTPToolBar::CControlButtonCustomize::GetSize(CDC* pDC) { return CXTPControlButton::GetSize(pDC); }
void CXTPToolBar::CControlButtonCustomize::Draw(CDC* pDC) { CXTPControlButton::Draw(pDC); }
void CXTPToolBar::CControlButtonCustomize::SetTarget(CXTPControl*) {}
void CXTPToolBar::CControlButtonCustomize::SetTarget(CXTPCommandBar*) {}

CXTPToolBar::CXTPToolBar()
    : m_pDockBar(NULL), m_pDockContext(NULL), m_bBuiltIn(TRUE), m_bTearOff(FALSE), m_bPreviewVisible(FALSE),
      m_bPreviewMode(FALSE), m_bShowExpandButton(TRUE), m_bCloseable(TRUE), m_bContextMenuPresent(TRUE),
      m_bInRecalcLayout(FALSE), m_rcMRUDock(0, 0, 0, 0), m_mruDockPosition(xtpBarTop), m_ptMRUFloat(0, 0),
      m_nIDResource(0)
{
    m_dwFlags = 0x3F;
}
CXTPToolBar::~CXTPToolBar() {}
BOOL CXTPToolBar::CreateToolBar(DWORD, CWnd*, UINT) { return FALSE; }
BOOL CXTPToolBar::LoadToolBar(UINT, BOOL) { return FALSE; }
void CXTPToolBar::SetVisible(BOOL b) { m_bVisible = b; }
BOOL CXTPToolBar::SetPosition(XTPBarPosition) { return FALSE; }
void CXTPToolBar::OnRecalcLayout() {}
void CXTPToolBar::DoPropExchange(CXTPPropExchange*) {}
CRect CXTPToolBar::GetBorders() { return CRect(2, 2, 2, 2); }
int CXTPToolBar::OnHookKeyDown(UINT n, LPARAM l) { return CXTPCommandBar::OnHookKeyDown(n, l); }
CSize CXTPToolBar::CalcDynamicLayout(int, DWORD) { return CSize(0, 0); }
void CXTPToolBar::Copy(CXTPCommandBar* p, BOOL b) { CXTPCommandBar::Copy(p, b); }
CXTPCommandBar* CXTPToolBar::Clone(BOOL) { return NULL; }
CSize CXTPToolBar::CalcDockingLayout(int, DWORD, int) { return CSize(0, 0); }
void CXTPToolBar::ResetToolBar(BOOL) {}
BOOL CXTPToolBar::CreateBarWindow(CWnd*, BOOL) { return FALSE; }
void CXTPToolBar::OnUpdateCmdUI(CWnd* p, BOOL b) { CXTPCommandBar::OnUpdateCmdUI(p, b); }
BOOL CXTPToolBar::IsChanged() const { return FALSE; }
void CXTPToolBar::OnSetPreviewMode(BOOL) {}
CXTPToolBar::CControlButtonExpand* CXTPToolBar::GetExpandButton(BOOL) { return NULL; }
void CXTPToolBar::BuildCustomizePopup(CXTPCommandBar*) {}
CSize CXTPToolBar::CalcLayout(int, DWORD, const CRect&, int) { return CSize(0, 0); }
CXTPToolBar::CControlButtonHide* CXTPToolBar::GetHideButton(BOOL) { return NULL; }
BOOL CXTPToolBar::ShowExpandButtonAlways() const { return FALSE; }
LRESULT CXTPToolBar::OnSizeParent(WPARAM, LPARAM) { return 0; }
LRESULT CXTPToolBar::OnFloatStatus(WPARAM, LPARAM) { return 0; }
BOOL CXTPToolBar::OnNcCreate(LPCREATESTRUCT) { return TRUE; }
int CXTPToolBar::OnMouseActivate(CWnd*, UINT, UINT) { return MA_NOACTIVATE; }
void CXTPToolBar::OnLButtonDown(UINT, CPoint) {}
void CXTPToolBar::OnLButtonDblClk(UINT, CPoint) {}
void CXTPToolBar::OnNcLButtonDown(UINT, CPoint) {}
LRESULT CXTPToolBar::OnNcHitTest(CPoint) { return HTCLIENT; }
BOOL CXTPToolBar::OnSetCursor(CWnd*, UINT, UINT) { return FALSE; }
void CXTPToolBar::OnRButtonDown(UINT, CPoint) {}
void CXTPToolBar::OnSetFocus(CWnd*) {}
