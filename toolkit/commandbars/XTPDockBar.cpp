// Dock bars and the rebar host.
#include "XTPDockBar.h"
#include "XTPToolBar.h"
#include "XTPCommandBars.h"

IMPLEMENT_DYNAMIC(CXTPDockBar, CWnd)
IMPLEMENT_DYNAMIC(CXTPReBar, CReBar)

BEGIN_MESSAGE_MAP(CXTPDockBar, CWnd)
END_MESSAGE_MAP()

void CXTPDockBar::CDockInfoArray::Serialize(CArchive&) {}
void CXTPDockBar::CDockInfoArray::Sort() {}
CXTPDockBar::CXTPDockBar(CXTPCommandBars* pCommandBars) : m_dwStyle(0), m_pCommandBars(pCommandBars) { m_arrBars.Add(NULL); }
CXTPDockBar::~CXTPDockBar() {}
BOOL CXTPDockBar::Create(CWnd*, DWORD, UINT) { return FALSE; }
XTPBarPosition CXTPDockBar::GetPosition() const { return xtpBarTop; }
CXTPToolBar* CXTPDockBar::GetDockedBar(int nIndex) const { return m_arrBars.GetAt(nIndex); }
int CXTPDockBar::FindBar(CXTPToolBar*, int) const { return -1; }
void CXTPDockBar::DockCommandBar(CXTPToolBar*, LPCRECT) {}
BOOL CXTPDockBar::RemoveCommandBar(CXTPToolBar*, int) { return FALSE; }
void CXTPDockBar::GetVisibleBarsInRow(int, CToolBarArray&) const {}
LRESULT CXTPDockBar::OnSizeParent(WPARAM, LPARAM) { return 0; }
CSize CXTPDockBar::CalcDynamicLayout(int, DWORD, AFX_SIZEPARENTPARAMS*) { return CSize(0, 0); }
int CXTPDockBar::Insert(CXTPToolBar*, CRect, CPoint) { return 0; }
int CXTPDockBar::AdjustRow(CToolBarArray&, CPoint, int, BOOL, AFX_SIZEPARENTPARAMS*, int&) { return 0; }
int CXTPDockBar::AdjustRowWithWrap(CToolBarArray&, CPoint, int, BOOL, AFX_SIZEPARENTPARAMS*) { return 0; }
DWORD CXTPDockBar::GetBarMode(CXTPToolBar*, BOOL) const { return 0; }
BOOL CXTPDockBar::IsMenuBarRowLocked() const { return FALSE; }
void CXTPDockBar::OnPaint() {}
LRESULT CXTPDockBar::OnPrintClient(WPARAM, LPARAM) { return 0; }
BOOL CXTPDockBar::OnEraseBkgnd(CDC*) { return TRUE; }
void CXTPDockBar::OnRButtonDown(UINT, CPoint) {}
LRESULT CXTPDockBar::OnNcHitTest(CPoint) { return HTCLIENT; }
LRESULT CXTPDockBar::OnSizeParentMsg(WPARAM w, LPARAM l) { return OnSizeParent(w, l); }

CXTPReBar::CXTPReBar() {}
BOOL CXTPReBar::AddToolBar(CXTPToolBar*, DWORD) { return FALSE; }
int CXTPReBar::FindBand(CXTPToolBar*) const { return -1; }
void CXTPReBar::DeleteToolBar(CXTPToolBar*) {}
