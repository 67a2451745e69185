// The menu bar and the per-document menu sets.
#include "XTPMenuBar.h"
#include "XTPControls.h"
#include "XTPCommandBars.h"

IMPLEMENT_DYNCREATE(CXTPMenuBar, CXTPToolBar)
XTP_IMPLEMENT_DYNCREATE_NESTED(CXTPMenuBar, CControlMDISysMenuPopup, CXTPControlPopup)
XTP_IMPLEMENT_DYNCREATE_NESTED(CXTPMenuBar::CControlMDISysMenuPopup, CXTPSysMenuPopupBar, CXTPPopupBar)
XTP_IMPLEMENT_DYNCREATE_NESTED(CXTPMenuBar, CControlMDIButton, CXTPControlButton)

BEGIN_MESSAGE_MAP(CXTPMenuBar, CXTPToolBar)
END_MESSAGE_MAP()

CXTPMenuBarMDIMenuInfo::CXTPMenuBarMDIMenuInfo(CXTPCommandBars*, UINT nIDResource)
    : m_pControls(NULL), m_hIcon(NULL), m_nIDResource(nIDResource), m_bChanged(FALSE) {}
CXTPMenuBarMDIMenuInfo::~CXTPMenuBarMDIMenuInfo() {}
CXTPMenuBarMDIMenus::CXTPMenuBarMDIMenus(CXTPMenuBar* pMenuBar) : m_pMenuBar(pMenuBar) {}
CXTPMenuBarMDIMenus::~CXTPMenuBarMDIMenus() {}
CXTPMenuBarMDIMenuInfo* CXTPMenuBarMDIMenus::Lookup(UINT) const { return NULL; }
void CXTPMenuBarMDIMenus::SetAt(UINT, CXTPMenuBarMDIMenuInfo*) {}
void CXTPMenuBarMDIMenus::Remove(UINT) {}
void CXTPMenuBarMDIMenus::RemoveAll() {}
void CXTPMenuBarMDIMenus::GetNextMenu(POSITION& pos, UINT&, CXTPMenuBarMDIMenuInfo*&) const { pos = NULL; }

CXTPMenuBar::CControlMDISysMenuPopup::CControlMDISysMenuPopup() : m_hWndActiveChild(NULL), m_hDocMenu(NULL), m_hIcon(NULL) {}
CXTPMenuBar::CControlMDISysMenuPopup::CControlMDISysMenuPopup(HWND, HMENU) : m_hWndActiveChild(NULL), m_hDocMenu(NULL), m_hIcon(NULL) {}
CXTPMenuBar::CControlMDISysMenuPopup::~CControlMDISysMenuPopup() {}
void CXTPMenuBar::CControlMDISysMenuPopup::SetMDISysMenu(HWND, HMENU) {}
void CXTPMenuBar::CControlMDISysMenuPopup::Draw(CDC*) {}
CSize CXTPMenuBar::CControlMDISysMenuPopup::GetSize(CDC*) { return CSize(16, 16); }
void CXTPMenuBar::CControlMDISysMenuPopup::AdjustExcludeRect(CRect&, BOOL) {}
CXTPMenuBar::CControlMDIButton::CControlMDIButton() {}
void CXTPMenuBar::CControlMDIButton::OnExecute() {}
void CXTPMenuBar::CControlMDIButton::Draw(CDC*) {}
CSize CXTPMenuBar::CControlMDIButton::GetSize(CDC*) { return CSize(16, 16); }

CXTPMenuBar::CXTPMenuBar()
    : m_bMdiApp(FALSE), m_hWndActiveChild(NULL), m_hMenu(NULL), m_nIDResource(0), m_nIDResourceCurrent(0),
      m_pMDIMenus(NULL), m_bDirtyMenu(FALSE), m_hWndMDIClient(NULL)
{
    m_barType = xtpBarTypeMenuBar;
    m_nBarID = 1;
    m_dwFlags = 0x5F;
}
CXTPMenuBar::~CXTPMenuBar() {}
void CXTPMenuBar::Copy(CXTPCommandBar* p, BOOL b) { CXTPToolBar::Copy(p, b); }
CXTPCommandBar* CXTPMenuBar::Clone(BOOL) { return NULL; }
void CXTPMenuBar::ResetToolBar(BOOL) {}
BOOL CXTPMenuBar::IsChanged() const { return FALSE; }
BOOL CXTPMenuBar::LoadMenuBar(UINT) { return FALSE; }
int CXTPMenuBar::OnHookMessage(HWND, UINT, WPARAM&, LPARAM&, LRESULT&) { return 0; }
void CXTPMenuBar::SwitchMDIMenu(UINT, CMenu*) {}
void CXTPMenuBar::UpdateMDIButtons() {}
void CXTPMenuBar::RefreshMenu() {}
void CXTPMenuBar::RestoreDefaultMenu() {}
void CXTPMenuBar::AfterSave() {}
void CXTPMenuBar::SwitchToFrameMenu(HMENU) {}
HWND CXTPMenuBar::GetActiveMdiChild(BOOL*) const { return NULL; }
void CXTPMenuBar::AddMDIButton(int, LPCTSTR) {}
void CXTPMenuBar::RemoveControlById(int) {}
void CXTPMenuBar::OnTimer(UINT_PTR) {}
