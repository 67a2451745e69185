// Popup bars and popup toolbars.
#include "XTPPopupBar.h"
#include "XTPControls.h"
#include "XTPControlPopup.h"
#include "XTPCommandBars.h"
#include "XTPPaintManager.h"

IMPLEMENT_DYNCREATE(CXTPPopupBar, CXTPCommandBar)
IMPLEMENT_DYNCREATE(CXTPPopupToolBar, CXTPPopupBar)
XTP_IMPLEMENT_DYNCREATE_NESTED(CXTPPopupBar, CControlExpandButton, CXTPControlButton)

BEGIN_MESSAGE_MAP(CXTPPopupBar, CXTPCommandBar)
END_MESSAGE_MAP()

CXTPPopupBar::CControlExpandButton::CControlExpandButton() { m_nId = XTP_ID_POPUPBAR_EXPAND; m_dwFlags = 0x5A; }
void CXTPPopupBar::CControlExpandButton::OnExecute() {}
void CXTPPopupBar::CControlExpandButton::Draw(CDC*) {}
CSize CXTPPopupBar::CControlExpandButton::GetSize(CDC*) { return CSize(0, 0); }

CXTPPopupBar::CXTPPopupBar()
    : m_pControlPopup(NULL), m_ptPopup(0, 0), m_rcExclude(0, 0, 0, 0), m_popupFlags(0), m_bDynamicLayout(FALSE),
      m_bCollapsed(FALSE), m_bExpanded(FALSE), m_bExpanding(FALSE), m_bTearOffPopup(FALSE),
      m_rcTearOffGripper(0, 0, 0, 0), m_bTearOffSelected(FALSE), m_bTearOffPressed(FALSE), m_nTearOffTimer(0),
      m_szTearOffBar(0, 0), m_pTearOffBar(NULL), m_nTearOffID(0), m_nTearOffWidth(0), m_bShowShadow(TRUE),
      m_rcBorders(2, 4, 2, 4), m_bDoubleGripper(FALSE), m_bContextMenu(FALSE), m_bScrolling(FALSE),
      m_nFirstVisible(0), m_nLastVisible(0), m_bMultiColumn(FALSE), m_nTrackFlags(0), m_pReturnCmd(NULL),
      m_bOwnLoop(FALSE), m_nShowFullTimer(0)
{
    m_barType = xtpBarTypePopup;
    m_barPosition = xtpBarPopup;
    ZeroMemory(&m_scrollDown, sizeof(m_scrollDown));
    ZeroMemory(&m_scrollUp, sizeof(m_scrollUp));
}
CXTPPopupBar::~CXTPPopupBar() {}
CXTPPopupBar* AFX_CDECL CXTPPopupBar::CreatePopupBar(CXTPCommandBars* pCommandBars)
{
    CXTPPopupBar* p = new CXTPPopupBar();
    p->SetCommandBars(pCommandBars);
    return p;
}
BOOL CXTPPopupBar::Create(LPCTSTR a, LPCTSTR b, DWORD c, const RECT& d, CWnd* e, UINT f, CCreateContext* g) { return CWnd::Create(a, b, c, d, e, f, g); }
BOOL CXTPPopupBar::DestroyWindow() { return CWnd::DestroyWindow(); }
void CXTPPopupBar::DelayRedraw() {}
BOOL CXTPPopupBar::SetTrackingMode(int bMode, BOOL a, BOOL b) { return CXTPCommandBar::SetTrackingMode(bMode, a, b); }
BOOL CXTPPopupBar::SetSelected(int n, BOOL b) { return CXTPCommandBar::SetSelected(n, b); }
BOOL CXTPPopupBar::Popup(CXTPControlPopup*, BOOL) { return FALSE; }
BOOL CXTPPopupBar::IsVisible() const { return FALSE; }
void CXTPPopupBar::OnRecalcLayout() {}
CXTPCommandBar* CXTPPopupBar::GetParentCommandBar() const { return m_pControlPopup ? m_pControlPopup->GetParent() : NULL; }
void CXTPPopupBar::DoPropExchange(CXTPPropExchange*) {}
void CXTPPopupBar::DrawCommandBar(CDC*, CRect) {}
CRect CXTPPopupBar::GetBorders() { return m_rcBorders; }
int CXTPPopupBar::OnHookKeyDown(UINT, LPARAM) { return 0; }
CSize CXTPPopupBar::CalcDynamicLayout(int, DWORD) { return CSize(0, 0); }
void CXTPPopupBar::OnControlsChanged() {}
void CXTPPopupBar::Copy(CXTPCommandBar* p, BOOL b) { CXTPCommandBar::Copy(p, b); }
CXTPCommandBar* CXTPPopupBar::Clone(BOOL) { return NULL; }
void CXTPPopupBar::EnsureVisible(CXTPControl*) {}
void CXTPPopupBar::UpdateShortcuts() {}
BOOL CXTPPopupBar::IsPointInBar(CPoint) const { return FALSE; }
CRect CXTPPopupBar::CalcPopupRect(CSize) { return CRect(0, 0, 0, 0); }
void CXTPPopupBar::UpdateFlags() {}
void CXTPPopupBar::AdjustExcludeRect(CRect&, BOOL) {}
BOOL CXTPPopupBar::PopupAt(int, int, LPCRECT) { return FALSE; }
void CXTPPopupBar::ExpandBar() {}
int CXTPPopupBar::GetDefaultItem(BOOL) const { return -1; }
void CXTPPopupBar::SetTearOffPopup(LPCTSTR, UINT, int) {}
BOOL CXTPPopupBar::IsTearOffPopup(CString&, UINT&, int&) const { return FALSE; }
void CXTPPopupBar::UpdateScroll(LPSIZE, BOOL, BOOL) {}
void CXTPPopupBar::DecideHiddenCommands() {}
void CXTPPopupBar::PlaceExpandButton(CSize, const CRect&) {}
void CXTPPopupBar::AnimatePopupOpening() {}
int CXTPPopupBar::GetAnimationKind() const { return 0; }
void CXTPPopupBar::TrackTearOff() {}
void CXTPPopupBar::TearOffPopup() {}
void CXTPPopupBar::RemoveTearOff() {}
void CXTPPopupBar::DrawScrollArrows(CDC*) {}
void CXTPPopupBar::CheckScrollArea(CPoint) {}
void CXTPPopupBar::OnMouseMove(UINT, CPoint) {}
int CXTPPopupBar::OnMouseActivate(CWnd*, UINT, UINT) { return MA_NOACTIVATE; }
void CXTPPopupBar::OnLButtonDown(UINT, CPoint) {}
void CXTPPopupBar::OnTimer(UINT_PTR) {}
BOOL CXTPPopupBar::OnNcActivate(BOOL) { return FALSE; }
BOOL CXTPPopupBar::OnNcCreate(LPCREATESTRUCT) { return TRUE; }
LRESULT CXTPPopupBar::OnFloatStatus(WPARAM, LPARAM) { return 0; }

CXTPPopupToolBar::CXTPPopupToolBar() { m_barType = xtpBarTypeNormal; }
CXTPPopupToolBar* AFX_CDECL CXTPPopupToolBar::CreatePopupToolBar(CXTPCommandBars* pCommandBars)
{
    CXTPPopupToolBar* p = new CXTPPopupToolBar();
    p->SetCommandBars(pCommandBars);
    return p;
}
CSize CXTPPopupToolBar::CalcDynamicLayout(int, DWORD) { return CSize(0, 0); }
CXTPCommandBar* CXTPPopupToolBar::Clone(BOOL) { return NULL; }
