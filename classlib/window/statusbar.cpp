// CStatusBar: a control bar over the system's status-bar control.
#include <afxext.h>

IMPLEMENT_DYNAMIC(CStatusBar, CControlBar)

namespace
{
const int kPanePadding = 8;   // text to pane edge, both sides together

// Updates a pane from its command: disabled panes show no text (the key
// indicators), a checked pane pops out.
class CStatusCmdUI : public CCmdUI
{
public:
    virtual void Enable(BOOL bOn)
    {
        m_bEnableChanged = TRUE;
        CStatusBar* pStatusBar = static_cast<CStatusBar*>(m_pOther);
        UINT nNewStyle = pStatusBar->GetPaneStyle((int)m_nIndex) & ~SBPS_DISABLED;
        if (!bOn)
            nNewStyle |= SBPS_DISABLED;
        pStatusBar->SetPaneStyle((int)m_nIndex, nNewStyle);
    }

    virtual void SetCheck(int nCheck)
    {
        CStatusBar* pStatusBar = static_cast<CStatusBar*>(m_pOther);
        UINT nNewStyle = pStatusBar->GetPaneStyle((int)m_nIndex) & ~SBPS_POPOUT;
        if (nCheck != 0)
            nNewStyle |= SBPS_POPOUT;
        pStatusBar->SetPaneStyle((int)m_nIndex, nNewStyle);
    }

    virtual void SetRadio(BOOL bOn) { SetCheck(bOn ? 1 : 0); }

    virtual void SetText(LPCTSTR lpszText)
    {
        static_cast<CStatusBar*>(m_pOther)->SetPaneText((int)m_nIndex, lpszText);
    }
};

HFONT StatusFont(HWND hWnd)
{
    HFONT hFont = hWnd != NULL ? (HFONT)::SendMessage(hWnd, WM_GETFONT, 0, 0) : NULL;
    return hFont != NULL ? hFont : (HFONT)::GetStockObject(DEFAULT_GUI_FONT);
}
} // namespace

CStatusBar::CStatusBar()
{
    m_cxLeftBorder = m_cxRightBorder = 0;
    m_cyTopBorder = m_cyBottomBorder = 2;
}

CStatusBar::~CStatusBar()
{
    m_wndCtrl.m_hWnd = NULL;
    DestroyWindow();
}

BOOL CStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    return CreateEx(pParentWnd, 0, dwStyle, nID);
}

BOOL CStatusBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, UINT nID)
{
    if (pParentWnd == NULL || pParentWnd->GetSafeHwnd() == NULL)
        return FALSE;
    INITCOMMONCONTROLSEX icc = {sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&icc);

    m_dwStyle = dwStyle & CBRS_ALL;
    DWORD dwWndStyle = (dwStyle & ~CBRS_ALL) | dwCtrlStyle | CCS_NOPARENTALIGN |
                       CCS_NOMOVEY | CCS_NODIVIDER | CCS_NORESIZE;
    // A resizable frame gets the size grip.
    if ((pParentWnd->GetStyle() & WS_THICKFRAME) != 0)
        dwWndStyle |= SBARS_SIZEGRIP;
    CRect rect(0, 0, 0, 0);
    if (!CWnd::Create(STATUSCLASSNAME, NULL, dwWndStyle, rect, pParentWnd, nID))
        return FALSE;
    ::SendMessage(m_hWnd, WM_SETFONT, (WPARAM)StatusFont(NULL), FALSE);
    return TRUE;
}

int CStatusBar::TextWidth(LPCTSTR lpszText) const
{
    if (lpszText == NULL || *lpszText == '\0')
        return 0;
    HDC hDC = ::GetDC(m_hWnd);
    if (hDC == NULL)
        return 0;
    HGDIOBJ hOld = ::SelectObject(hDC, StatusFont(m_hWnd));
    SIZE size = {0, 0};
    ::GetTextExtentPoint32(hDC, lpszText, lstrlen(lpszText), &size);
    ::SelectObject(hDC, hOld);
    ::ReleaseDC(m_hWnd, hDC);
    return size.cx;
}

BOOL CStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount)
{
    if (nIDCount < 0 || (nIDCount > 0 && lpIDArray == NULL))
        return FALSE;
    std::vector<Pane> panes;
    panes.reserve((size_t)nIDCount);
    for (int i = 0; i < nIDCount; ++i)
    {
        Pane pane;
        pane.nID = lpIDArray[i];
        pane.nStyle = SBPS_NORMAL;
        pane.cxText = 0;
        if (pane.nID != ID_SEPARATOR)
        {
            // Every indicator needs its text: without it the pane has no
            // width and no meaning.
            if (!pane.strText.LoadString(pane.nID))
                return FALSE;
            pane.cxText = TextWidth(pane.strText);
        }
        panes.push_back(pane);
    }
    if (!panes.empty() && panes[0].nID == ID_SEPARATOR)
        panes[0].nStyle |= SBPS_STRETCH | SBPS_NOBORDERS;
    m_panes.swap(panes);
    UpdateAllPanes(TRUE, TRUE);
    return TRUE;
}

int CStatusBar::CommandToIndex(UINT nIDFind) const
{
    for (size_t i = 0; i < m_panes.size(); ++i)
    {
        if (m_panes[i].nID == nIDFind)
            return (int)i;
    }
    return -1;
}

UINT CStatusBar::GetItemID(int nIndex) const
{
    if (nIndex < 0 || (size_t)nIndex >= m_panes.size())
        return ID_SEPARATOR;
    return m_panes[(size_t)nIndex].nID;
}

void CStatusBar::GetItemRect(int nIndex, LPRECT lpRect) const
{
    if (lpRect == NULL)
        return;
    ::SetRectEmpty(lpRect);
    if (m_hWnd != NULL && nIndex >= 0 && (size_t)nIndex < m_panes.size())
        ::SendMessage(m_hWnd, SB_GETRECT, (WPARAM)nIndex, (LPARAM)lpRect);
}

CString CStatusBar::GetPaneText(int nIndex) const
{
    if (nIndex < 0 || (size_t)nIndex >= m_panes.size())
        return CString();
    return m_panes[(size_t)nIndex].strText;
}

void CStatusBar::GetPaneText(int nIndex, CString& rString) const
{
    rString = GetPaneText(nIndex);
}

BOOL CStatusBar::SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate)
{
    if (nIndex < 0 || (size_t)nIndex >= m_panes.size())
        return FALSE;
    Pane& pane = m_panes[(size_t)nIndex];
    CString strNew(lpszNewText != NULL ? lpszNewText : "");
    if (pane.strText == strNew)
        return TRUE;
    pane.strText = strNew;
    if (bUpdate)
        ShowPaneText(nIndex);
    return TRUE;
}

void CStatusBar::GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const
{
    if (nIndex < 0 || (size_t)nIndex >= m_panes.size())
    {
        nID = 0;
        nStyle = 0;
        cxWidth = 0;
        return;
    }
    const Pane& pane = m_panes[(size_t)nIndex];
    nID = pane.nID;
    nStyle = pane.nStyle;
    cxWidth = pane.cxText;
}

void CStatusBar::SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth)
{
    if (nIndex < 0 || (size_t)nIndex >= m_panes.size())
        return;
    Pane& pane = m_panes[(size_t)nIndex];
    pane.nID = nID;
    pane.nStyle = nStyle;
    pane.cxText = cxWidth < 0 ? 0 : cxWidth;
    UpdateAllPanes(TRUE, TRUE);
}

UINT CStatusBar::GetPaneStyle(int nIndex) const
{
    if (nIndex < 0 || (size_t)nIndex >= m_panes.size())
        return 0;
    return m_panes[(size_t)nIndex].nStyle;
}

void CStatusBar::SetPaneStyle(int nIndex, UINT nStyle)
{
    if (nIndex < 0 || (size_t)nIndex >= m_panes.size())
        return;
    Pane& pane = m_panes[(size_t)nIndex];
    if (pane.nStyle == nStyle)
        return;
    BOOL bLayout = (pane.nStyle & SBPS_STRETCH) != (nStyle & SBPS_STRETCH);
    pane.nStyle = nStyle;
    if (bLayout)
        UpdateAllPanes(TRUE, FALSE);
    ShowPaneText(nIndex);
}

CStatusBarCtrl& CStatusBar::GetStatusBarCtrl() const
{
    m_wndCtrl.m_hWnd = m_hWnd;
    return m_wndCtrl;
}

void CStatusBar::ShowPaneText(int nIndex)
{
    if (m_hWnd == NULL || nIndex < 0 || (size_t)nIndex >= m_panes.size())
        return;
    const Pane& pane = m_panes[(size_t)nIndex];
    // A disabled pane (a lock key that is off) shows nothing.
    LPCTSTR lpszText = (pane.nStyle & SBPS_DISABLED) != 0 ? "" : (LPCTSTR)pane.strText;
    UINT nType = pane.nStyle & (SBPS_NOBORDERS | SBPS_POPOUT | SBPS_OWNERDRAW);
    ::SendMessage(m_hWnd, SB_SETTEXT, (WPARAM)((UINT)nIndex | nType), (LPARAM)lpszText);
}

void CStatusBar::UpdateAllPanes(BOOL bUpdateRects, BOOL bUpdateText)
{
    if (m_hWnd == NULL || m_panes.empty())
        return;
    if (bUpdateRects)
    {
        CRect rectClient;
        ::GetClientRect(m_hWnd, &rectClient);
        int cxAvailable = rectClient.Width();
        if ((::GetWindowLong(m_hWnd, GWL_STYLE) & SBARS_SIZEGRIP) != 0)
            cxAvailable -= ::GetSystemMetrics(SM_CXVSCROLL);
        int borders[3] = {0, 0, 0};
        ::SendMessage(m_hWnd, SB_GETBORDERS, 0, (LPARAM)borders);

        int cxFixed = 0;
        int nStretch = 0;
        for (const Pane& pane : m_panes)
        {
            if ((pane.nStyle & SBPS_STRETCH) != 0)
                ++nStretch;
            else
                cxFixed += pane.cxText + kPanePadding + borders[2];
        }
        int cxStretch = 0;
        if (nStretch > 0)
        {
            cxStretch = (cxAvailable - cxFixed) / nStretch;
            if (cxStretch < 0)
                cxStretch = 0;
        }
        std::vector<int> rights(m_panes.size());
        int x = 0;
        for (size_t i = 0; i < m_panes.size(); ++i)
        {
            const Pane& pane = m_panes[i];
            if ((pane.nStyle & SBPS_STRETCH) != 0)
                x += cxStretch;
            else
                x += pane.cxText + kPanePadding + borders[2];
            rights[i] = x;
        }
        ::SendMessage(m_hWnd, SB_SETPARTS, (WPARAM)rights.size(), (LPARAM)&rights[0]);
        // Setting the parts forgets their texts.
        bUpdateText = TRUE;
    }
    if (bUpdateText)
    {
        for (size_t i = 0; i < m_panes.size(); ++i)
            ShowPaneText((int)i);
    }
}

CSize CStatusBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    int cyText = 0;
    HDC hDC = ::GetDC(m_hWnd);
    if (hDC != NULL)
    {
        HGDIOBJ hOld = ::SelectObject(hDC, StatusFont(m_hWnd));
        TEXTMETRIC tm;
        if (::GetTextMetrics(hDC, &tm))
            cyText = tm.tmHeight;
        ::SelectObject(hDC, hOld);
        ::ReleaseDC(m_hWnd, hDC);
    }
    int borders[3] = {0, 2, 2};
    if (m_hWnd != NULL)
        ::SendMessage(m_hWnd, SB_GETBORDERS, 0, (LPARAM)borders);
    CSize size;
    size.cy = cyText + 2 * borders[1] + m_cyTopBorder + m_cyBottomBorder;
    if (bStretch)
        size.cx = 32767;
    else
    {
        size.cx = m_cxLeftBorder + m_cxRightBorder;
        for (const Pane& pane : m_panes)
            size.cx += pane.cxText + kPanePadding + borders[2];
    }
    (void)bHorz;
    return size;
}

void CStatusBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL)
{
    CStatusCmdUI state;
    state.m_pOther = this;
    state.m_nIndexMax = (UINT)m_panes.size();
    for (size_t i = 0; i < m_panes.size(); ++i)
    {
        state.m_nIndex = (UINT)i;
        state.m_nID = m_panes[i].nID;
        // The bar's own update handlers first, then the frame's; panes
        // nobody handles keep their state.
        if (CWnd::OnCmdMsg(state.m_nID, (int)CN_UPDATE_COMMAND_UI, &state, NULL))
            continue;
        state.DoUpdate(pTarget, FALSE);
    }
}

LRESULT CStatusBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_SETTEXT:
        // The frame's prompts go to pane 0.
        if (m_panes.empty())
            break;
        SetPaneText(0, (LPCTSTR)lParam);
        return TRUE;
    case WM_GETTEXT:
    {
        if (m_panes.empty())
            break;
        if (lParam == 0 || wParam == 0)
            return 0;
        LPTSTR pBuffer = (LPTSTR)lParam;
        lstrcpyn(pBuffer, m_panes[0].strText, (int)wParam);
        return lstrlen(pBuffer);
    }
    case WM_GETTEXTLENGTH:
        if (m_panes.empty())
            break;
        return m_panes[0].strText.GetLength();
    case WM_SIZE:
    {
        LRESULT lResult = CControlBar::WindowProc(message, wParam, lParam);
        UpdateAllPanes(TRUE, FALSE);
        return lResult;
    }
    default:
        break;
    }
    return CControlBar::WindowProc(message, wParam, lParam);
}
