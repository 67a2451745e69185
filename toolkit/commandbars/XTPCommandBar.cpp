// The command bar base window.
#include "XTPCommandBar.h"
#include "XTPControls.h"
#include "XTPControl.h"
#include "XTPCommandBars.h"
#include "XTPPaintManager.h"
#include "XTPImageManager.h"

IMPLEMENT_DYNCREATE(CXTPCommandBar, CWnd)

LONG CXTPCommandBar::s_nInstanceCount = 0;

BEGIN_MESSAGE_MAP(CXTPCommandBar, CWnd)
END_MESSAGE_MAP()

CXTPCommandBar::CXTPCommandBar()
    : m_bHideCaret(TRUE), m_nMRUWidth(32767), m_nSelected(-1), m_nPopuped(-1), m_hwndFocus(NULL), m_nBarID(0),
      m_bVisible(TRUE), m_bTracking(0), m_dwIdleFlags(0), m_dwFlags(0), m_dwStyle(XTP_CBRS_GRIPPER),
      m_barType(xtpBarTypeNormal), m_pControls(NULL), m_barPosition(xtpBarNone), m_pCommandBars(NULL),
      m_szIcons(0, 0), m_szButtons(0, 0), m_bTextBelow(2), m_bGrabFocus(FALSE), m_nKeyboardSelection(0),
      m_bCustomizable(TRUE), m_rcMarker(0, 0, 0, 0), m_bVerticalMarker(FALSE), m_bCustomizeDialogPresent(TRUE),
      m_bEnteredByMouse(FALSE), m_nLockRedraw(0), m_bSelectOnHover(TRUE), m_pPaintManager(NULL),
      m_pImageManager(NULL), m_pBlockingLink(NULL), m_buttonStyle(xtpButtonAutomatic), m_pToolTipContext(NULL),
      m_pAnimation(NULL), m_nLastStatusControl(-1), m_pOwner(NULL), m_bAnimationEnabled(FALSE),
      m_bBitmapCache(FALSE), m_bNoUpdate(FALSE)
{
    m_pControls = new CXTPControls();
    m_pControls->SetParent(this);
    InterlockedIncrement(&s_nInstanceCount);
}

CXTPCommandBar::~CXTPCommandBar()
{
    if (m_pControls != NULL)
    {
        m_pControls->SetParent(NULL);
        m_pControls->RemoveAll();
        m_pControls->InternalRelease();
    }
    InterlockedDecrement(&s_nInstanceCount);
}

void CXTPCommandBar::DelayRedraw() { m_dwIdleFlags |= xtpIdleRedraw; }
BOOL CXTPCommandBar::SetTrackingMode(int bMode, BOOL, BOOL) { m_bTracking = bMode; return FALSE; }
BOOL CXTPCommandBar::LoadMenu(CMenu* pMenu, BOOL bRemoveControls)
{
    if (bRemoveControls)
        m_pControls->RemoveAll();
    return m_pControls->LoadMenu(pMenu);
}
BOOL CXTPCommandBar::SetSelected(int nSelected, BOOL) { m_nSelected = nSelected; return TRUE; }
BOOL CXTPCommandBar::LoadToolBar(UINT, BOOL) { return FALSE; }
CSize CXTPCommandBar::GetButtonSize() const { return m_szButtons; }
void CXTPCommandBar::OnControlSelected(BOOL, CXTPControl*) {}
void CXTPCommandBar::DoPropExchange(CXTPPropExchange*) {}
BOOL CXTPCommandBar::IsKeyboardCuesVisible() const { return TRUE; }
void CXTPCommandBar::Redraw(LPCRECT, BOOL) {}
void CXTPCommandBar::DrawCommandBar(CDC*, CRect) {}
CRect CXTPCommandBar::GetBorders() { return CRect(2, 2, 2, 2); }
void CXTPCommandBar::OnKeyboardTip(CXTPCommandBarKeyboardTip*) {}
int CXTPCommandBar::OnHookKeyDown(UINT, LPARAM) { return 0; }
BOOL CXTPCommandBar::ProcessSpecialKey(XTPSpecialKey) { return FALSE; }
void CXTPCommandBar::OnControlsChanged() { DelayLayout(); }
void CXTPCommandBar::Copy(CXTPCommandBar*, BOOL) {}
BOOL CXTPCommandBar::IsPointInBar(CPoint) const { return FALSE; }
void CXTPCommandBar::GenerateCommandBarList(DWORD&, CXTPCommandBarList*, void*) {}
void CXTPCommandBar::RestoreCommandBarList(CXTPCommandBarList*) {}
void CXTPCommandBar::FillBackground(CDC*) {}
void CXTPCommandBar::OnRemoved() {}
void CXTPCommandBar::OnIdleUpdate() {}
CXTPCommandBar* CXTPCommandBar::Clone(BOOL) { return NULL; }
void CXTPCommandBar::OnUpdateCmdUI(CWnd*, BOOL) {}
int CXTPCommandBar::HitTestTrackedPoint(CPoint) { return 0; }
CXTPPaintManager* CXTPCommandBar::GetPaintManager() { return CXTPPaintManager::GetGlobalPaintManager(); }
BOOL CXTPCommandBar::IsCustomizeMode() { return FALSE; }
CWnd* CXTPCommandBar::GetSite() { return NULL; }
BOOL CXTPCommandBar::IsSaveBitsEnabled() { return TRUE; }
int CXTPCommandBar::OnHookMessage(HWND, UINT, WPARAM&, LPARAM&, LRESULT&) { return 0; }
void CXTPCommandBar::SetControls(CXTPControls* pControls) { m_pControls = pControls; }
CXTPControl* CXTPCommandBar::GetControl(int nIndex) const { return m_pControls->GetAt(nIndex); }
int CXTPCommandBar::GetControlCount() const { return m_pControls->GetCount(); }
BOOL CXTPCommandBar::SetPopuped(int nPopuped, BOOL) { m_nPopuped = nPopuped; return TRUE; }
void CXTPCommandBar::SetTitle(LPCTSTR lpszTitle) { m_strTitle = lpszTitle; }
void CXTPCommandBar::SetFlags(DWORD dwFlagsAdd, DWORD dwFlagsRemove) { m_dwFlags = (m_dwFlags | dwFlagsAdd) & ~dwFlagsRemove; }
void CXTPCommandBar::SetShowGripper(BOOL) {}
BOOL CXTPCommandBar::IsLayoutRTL() const { return FALSE; }
void CXTPCommandBar::SetCustomizable(BOOL bCustomizable) { m_bCustomizable = bCustomizable; }
CSize CXTPCommandBar::GetIconSize() const { return CSize(16, 16); }
CSize CXTPCommandBar::GetLargeIconSize() const { return CSize(32, 32); }
BOOL CXTPCommandBar::GetShowTextBelowIcons() const { return FALSE; }
void CXTPCommandBar::EnableAnimation(BOOL) {}
void CXTPCommandBar::EnableBitmapCache(BOOL) {}
CXTPCommandBars* CXTPCommandBar::GetCommandBars() const { return m_pCommandBars; }
CXTPImageManager* CXTPCommandBar::GetImageManager() const { return XTPImageManager(); }
void CXTPCommandBar::SetPaintManager(CXTPPaintManager*) {}
void CXTPCommandBar::SetImageManager(CXTPImageManager*) {}
CXTPCommandBar* CXTPCommandBar::GetRootParent() const { return (CXTPCommandBar*)this; }
CWnd* CXTPCommandBar::GetOwnerSite() { return GetSite(); }
void CXTPCommandBar::SetStatusText(const CString&) {}
int CXTPCommandBar::GetKeyboardTipLevel() const { return 0; }
void CXTPCommandBar::UnlockRedraw() { m_nLockRedraw--; }
int CXTPCommandBar::FindAccel(TCHAR, BOOL& bAmbiguous) const { bAmbiguous = FALSE; return -1; }
LPDISPATCH CXTPCommandBar::GetIDispatch(BOOL) { return NULL; }
BOOL CXTPCommandBar::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) { return CWnd::OnWndMsg(message, wParam, lParam, pResult); }
INT_PTR CXTPCommandBar::OnToolHitTest(CPoint, TOOLINFO*) const { return -1; }
void CXTPCommandBar::PaintClient(CDC*, const CRect&) {}
BOOL AFX_CDECL CXTPCommandBar::RegisterBarClass(LPCTSTR, UINT) { return TRUE; }
int CXTPCommandBar::OnCreate(LPCREATESTRUCT) { return 0; }
void CXTPCommandBar::OnDestroy() {}
void CXTPCommandBar::OnPaint() {}
BOOL CXTPCommandBar::OnEraseBkgnd(CDC*) { return TRUE; }
LRESULT CXTPCommandBar::OnPrint(WPARAM, LPARAM) { return 0; }
void CXTPCommandBar::OnMouseMove(UINT, CPoint) {}
void CXTPCommandBar::OnMouseLeave() {}
void CXTPCommandBar::OnNcMouseMove(UINT, CPoint) {}
void CXTPCommandBar::OnLButtonDown(UINT, CPoint) {}
void CXTPCommandBar::OnLButtonUp(UINT, CPoint) {}
void CXTPCommandBar::OnLButtonDblClk(UINT, CPoint) {}
void CXTPCommandBar::OnRButtonDown(UINT, CPoint) {}
void CXTPCommandBar::OnRButtonUp(UINT, CPoint) {}
void CXTPCommandBar::OnTimer(UINT_PTR) {}
LRESULT CXTPCommandBar::OnNcHitTest(CPoint) { return HTCLIENT; }
void CXTPCommandBar::OnNcLButtonDown(UINT, CPoint) {}
LRESULT CXTPCommandBar::OnIdleUpdateCmdUI(WPARAM, LPARAM) { return 0; }
LRESULT CXTPCommandBar::OnInitialUpdate(WPARAM, LPARAM) { return 0; }
void CXTPCommandBar::OnSysColorChange() {}
void CXTPCommandBar::CCommandBarCmdUI::Enable(BOOL) {}
void CXTPCommandBar::CCommandBarCmdUI::SetCheck(int) {}
void CXTPCommandBar::CCommandBarCmdUI::SetText(LPCTSTR) {}

CXTPCommandBarList::~CXTPCommandBarList() { RemoveAll(); }
CXTPCommandBar* CXTPCommandBarList::GetAt(int nIndex) const { return nIndex >= 0 && nIndex < m_arrBars.GetSize() ? m_arrBars[nIndex] : NULL; }
CXTPCommandBar* CXTPCommandBarList::Add(CXTPCommandBar* p) { m_arrBars.Add(p); return p; }
BOOL CXTPCommandBarList::Lookup(CXTPCommandBar*) const { return FALSE; }
CXTPCommandBar* CXTPCommandBarList::FindCommandBar(UINT) const { return NULL; }
void CXTPCommandBarList::Remove(CXTPCommandBar*) {}
void CXTPCommandBarList::RemoveAll() { m_arrBars.RemoveAll(); }
