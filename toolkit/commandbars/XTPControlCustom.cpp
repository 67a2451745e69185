// The custom control hosting a window.
#include "XTPControlCustom.h"

#include "XTPCommandBar.h"
#include "XTPCommandBars.h"
#include "XTPCommandBarsExchange.h"
#include "XTPControlAction.h"
#include "XTPPaintManager.h"
#include "XTPPropExchange.h"
#include "XTPToolBar.h"

IMPLEMENT_DYNCREATE(CXTPControlCustom, CXTPControlButton)

CXTPControlCustom::CXTPControlCustom()
    : m_hwndControl(NULL), m_rcBorders(0, 0, 0, 0), m_bControlVisible(TRUE), m_szControl(0, 0),
      m_verticalOptions(xtpVerticalHide), m_nControlID(0)
{
    m_controlType = xtpControlCustom;
    m_dwFlags = xtpFlagNoMovable;
}

CXTPControlCustom::~CXTPControlCustom()
{
    XTPHookManager()->RemoveHookAbleFromAll(this);
}

CXTPControlCustom* AFX_CDECL CXTPControlCustom::CreateControlCustom(CWnd* pWnd)
{
    CXTPControlCustom* pControl = new CXTPControlCustom();
    pControl->SetControl(pWnd);
    pControl->m_nControlID = pWnd->GetSafeHwnd() != NULL ? ::GetDlgCtrlID(pWnd->m_hWnd) : 0;
    return pControl;
}

void CXTPControlCustom::SetControl(CWnd* pWnd)
{
    if (m_hwndControl != NULL && ::IsWindow(m_hwndControl))
        XTPHookManager()->RemoveHook(m_hwndControl, this);
    m_hwndControl = pWnd->GetSafeHwnd();
    if (m_hwndControl != NULL)
    {
        XTPHookManager()->SetHook(m_hwndControl, this);
        CRect rcWindow;
        ::GetWindowRect(m_hwndControl, &rcWindow);
        m_szControl = rcWindow.Size();
    }
}

void CXTPControlCustom::SetBorders(int cxLeft, int cyTop, int cxRight, int cyBottom)
{
    m_rcBorders.SetRect(cxLeft, cyTop, cxRight, cyBottom);
    DelayLayoutParent();
}

BOOL CXTPControlCustom::IsWindowShown() const
{
    return m_hwndControl != NULL && m_bControlVisible;
}

namespace
{
// While the hosted window is not shown the control stands as a button of its
// caption: the paint manager measures and draws a custom control as nothing
// (its window paints itself), so it is handed the control as a plain button.
class CAsButton
{
public:
    explicit CAsButton(CXTPControl* pControl) : m_pControl(pControl), m_type(pControl->GetType())
    {
        m_pControl->SetType(xtpControlButton);
    }
    ~CAsButton() { m_pControl->SetType(m_type); }

private:
    CXTPControl* m_pControl;
    XTPControlType m_type;
};
} // namespace

CSize CXTPControlCustom::GetSize(CDC* pDC)
{
    if (IsWindowShown())
        return CSize(m_szControl.cx + m_rcBorders.left + m_rcBorders.right,
                     m_szControl.cy + m_rcBorders.top + m_rcBorders.bottom);
    CAsButton asButton(this);
    return CXTPControlButton::GetSize(pDC);
}

void CXTPControlCustom::ShowHostedWindow()
{
    if (m_hwndControl == NULL || !::IsWindow(m_hwndControl))
        return;
    BOOL bShow = m_bControlVisible && IsVisible();
    ::SetWindowPos(m_hwndControl, NULL, 0, 0, 0, 0,
                   SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | (bShow ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

void CXTPControlCustom::SetRect(CRect rcControl)
{
    if (m_rcControl == rcControl &&
        (m_hwndControl == NULL || (m_pParent != NULL && ::GetParent(m_hwndControl) == m_pParent->GetSafeHwnd())))
        return;
    m_rcControl = rcControl;

    if (m_hwndControl != NULL && ::IsWindow(m_hwndControl) && m_pParent != NULL && m_pParent->GetSafeHwnd() != NULL)
    {
        if (::GetParent(m_hwndControl) != m_pParent->m_hWnd)
            ::SetParent(m_hwndControl, m_pParent->m_hWnd);
        DWORD dwStyle = (DWORD)::GetWindowLong(m_hwndControl, GWL_STYLE);
        if (dwStyle & WS_POPUP)
            ::SetWindowLong(m_hwndControl, GWL_STYLE, (LONG)((dwStyle & ~WS_POPUP) | WS_CHILD));
        ::MoveWindow(m_hwndControl, rcControl.left + m_rcBorders.left, rcControl.top + m_rcBorders.top,
                     rcControl.Width() - m_rcBorders.left - m_rcBorders.right,
                     rcControl.Height() - m_rcBorders.top - m_rcBorders.bottom, TRUE);
    }
    ShowHostedWindow();
}

BOOL CXTPControlCustom::SetHideFlags(DWORD dwFlags)
{
    if (!CXTPControlButton::SetHideFlags(dwFlags))
        return FALSE;
    ShowHostedWindow();
    DelayLayoutParent();
    return TRUE;
}

void CXTPControlCustom::OnActionChanged(int nProperty)
{
    if (nProperty == 2)
        ShowHostedWindow();
}

void CXTPControlCustom::SetEnabled(BOOL bEnabled)
{
    // The update handlers set the state on every idle pass: only a change
    // touches the hosted window and redraws the bar, or the bar would paint
    // without end.
    if (m_bEnabled == bEnabled)
        return;
    CXTPControlButton::SetEnabled(bEnabled);
    if (m_hwndControl != NULL && ::IsWindow(m_hwndControl))
        ::EnableWindow(m_hwndControl, GetEnabled());
    RedrawParent(FALSE);
}

void CXTPControlCustom::OnCalcDynamicSize(DWORD dwMode)
{
    BOOL bVertical = (dwMode & LM_VERTDOCK) != 0;
    if (m_verticalOptions == xtpVerticalHide)
    {
        SetHideFlag(xtpHideExcluded, bVertical);
    }
    else if (m_verticalOptions == xtpVerticalButton)
    {
        m_bControlVisible = !bVertical;
        ShowHostedWindow();
    }
}

void CXTPControlCustom::Draw(CDC* pDC)
{
    // A shown window paints itself (its own style says so: the bar may be
    // drawn while its frame is hidden).
    if (m_hwndControl != NULL && ::IsWindow(m_hwndControl) &&
        (::GetWindowLong(m_hwndControl, GWL_STYLE) & WS_VISIBLE) != 0)
        return;
    CAsButton asButton(this);
    CXTPControlButton::Draw(pDC);
}

void CXTPControlCustom::OnClick(BOOL bKeyboard, CPoint pt)
{
    if (m_hwndControl != NULL && ::IsWindowVisible(m_hwndControl) && !IsCustomizeMode())
        return;
    CXTPControlButton::OnClick(bKeyboard, pt);
}

int CXTPControlCustom::OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& /*lResult*/)
{
    // Moves over the window count as moves over the bar, so hover states work.
    if (nMessage == WM_MOUSEMOVE && m_pParent != NULL && m_pParent->GetSafeHwnd() != NULL)
    {
        CPoint pt((short)LOWORD(lParam), (short)HIWORD(lParam));
        ::MapWindowPoints(hWnd, m_pParent->m_hWnd, &pt, 1);
        static_cast<CXTPTrackableBar*>(m_pParent)->OnMouseMove((UINT)wParam, pt);
    }
    return hookContinue;
}

void CXTPControlCustom::DoPropExchange(CXTPPropExchange* pPX)
{
    CXTPControlButton::DoPropExchange(pPX);
    PropExchangeRect(pPX, "Borders", m_rcBorders, CRect(0, 0, 0, 0));
    PropExchangeSize(pPX, "ControlSize", m_szControl, CSize(0, 0));
    PropExchangeLongWithDefault(pPX, "VerticalOptions", m_verticalOptions, 0);
    if (pPX->GetSchema() > 5)
        PropExchangeLongWithDefault(pPX, "ControlId", m_nControlID, 0);
    if (!pPX->IsLoading() || m_nControlID == 0)
        return;

    // The window is found again by its dialog id: among the site frame's
    // children, then among each bar's.
    XTP_COMMANDBARS_PROPEXCHANGE_PARAM* pParam = XTPGetExchangeParam(pPX);
    CXTPCommandBars* pCommandBars = pParam != NULL ? pParam->pCommandBars : GetCommandBars();
    if (pCommandBars == NULL)
        return;
    CWnd* pSite = pCommandBars->GetSite();
    HWND hWnd = pSite->GetSafeHwnd() != NULL ? ::GetDlgItem(pSite->m_hWnd, m_nControlID) : NULL;
    for (int i = 0; hWnd == NULL && i < pCommandBars->GetCount(); i++)
    {
        CXTPToolBar* pBar = pCommandBars->GetAt(i);
        if (pBar->GetSafeHwnd() != NULL)
            hWnd = ::GetDlgItem(pBar->m_hWnd, m_nControlID);
    }
    if (hWnd != NULL)
        m_hwndControl = hWnd;
}

void CXTPControlCustom::Copy(CXTPControl* pControl, BOOL bRecursive)
{
    CXTPControlCustom* pCustom = DYNAMIC_DOWNCAST(CXTPControlCustom, pControl);
    if (pCustom != NULL)
    {
        m_rcBorders = pCustom->m_rcBorders;
        m_verticalOptions = pCustom->m_verticalOptions;
        m_szControl = pCustom->m_szControl;
        m_hwndControl = pCustom->m_hwndControl;
        m_nControlID = pCustom->m_nControlID;
    }
    CXTPControlButton::Copy(pControl, bRecursive);
}
