// CReBar and CDialogBar: the minimal rebar host and dialog-template bar.
#include <afxext.h>

#include <vector>

IMPLEMENT_DYNAMIC(CReBar, CControlBar)
IMPLEMENT_DYNAMIC(CDialogBar, CControlBar)

// ---------------------------------------------------------------------------
// CReBar

BEGIN_MESSAGE_MAP(CReBar, CControlBar)
    ON_NOTIFY_REFLECT(RBN_HEIGHTCHANGE, OnHeightChange)
    ON_NOTIFY_REFLECT(RBN_AUTOSIZE, OnHeightChange)
END_MESSAGE_MAP()

CReBar::CReBar()
{
    m_cxLeftBorder = m_cxRightBorder = 0;
    m_cyTopBorder = m_cyBottomBorder = 0;
}

CReBar::~CReBar()
{
    DestroyWindow();
}

BOOL CReBar::Create(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, UINT nID)
{
    if (pParentWnd == NULL || pParentWnd->GetSafeHwnd() == NULL)
        return FALSE;
    INITCOMMONCONTROLSEX icc = {sizeof(INITCOMMONCONTROLSEX), ICC_COOL_CLASSES};
    ::InitCommonControlsEx(&icc);

    m_dwStyle = dwStyle & CBRS_ALL;
    DWORD dwWndStyle = (dwStyle & ~CBRS_ALL) | dwCtrlStyle | CCS_NODIVIDER |
                       CCS_NOPARENTALIGN | CCS_NORESIZE;
    CRect rect(0, 0, 0, 0);
    if (!CWnd::Create(REBARCLASSNAME, NULL, dwWndStyle, rect, pParentWnd, nID))
        return FALSE;
    REBARINFO rbi;
    memset(&rbi, 0, sizeof(rbi));
    rbi.cbSize = sizeof(rbi);
    ::SendMessage(m_hWnd, RB_SETBARINFO, 0, (LPARAM)&rbi);
    return TRUE;
}

BOOL CReBar::AddBarBand(CWnd* pBar, REBARBANDINFO& rbbi)
{
    if (m_hWnd == NULL || pBar == NULL || pBar->GetSafeHwnd() == NULL)
        return FALSE;
    CSize size;
    if (pBar->IsKindOf(RUNTIME_CLASS(CControlBar)))
        size = static_cast<CControlBar*>(pBar)->CalcFixedLayout(FALSE, (m_dwStyle & CBRS_ORIENT_HORZ) != 0);
    else
    {
        CRect rect;
        ::GetWindowRect(pBar->m_hWnd, &rect);
        size = rect.Size();
    }
    // The bands are described in the older structure the common controls we
    // get understand.
    rbbi.cbSize = REBARBANDINFOA_V3_SIZE;
    rbbi.fMask |= RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_SIZE;
    rbbi.hwndChild = pBar->m_hWnd;
    rbbi.cxMinChild = (UINT)size.cx;
    rbbi.cyMinChild = (UINT)size.cy;
    rbbi.cx = (UINT)size.cx;
    return (BOOL)::SendMessage(m_hWnd, RB_INSERTBAND, (WPARAM)-1, (LPARAM)&rbbi);
}

BOOL CReBar::AddBar(CWnd* pBar, LPCTSTR pszText, CBitmap* pbmp, DWORD dwStyle)
{
    REBARBANDINFO rbbi;
    memset(&rbbi, 0, sizeof(rbbi));
    rbbi.fMask = RBBIM_STYLE;
    rbbi.fStyle = dwStyle;
    if (pszText != NULL)
    {
        rbbi.fMask |= RBBIM_TEXT;
        rbbi.lpText = (LPTSTR)pszText;
    }
    if (pbmp != NULL && pbmp->m_hObject != NULL)
    {
        rbbi.fMask |= RBBIM_BACKGROUND;
        rbbi.hbmBack = (HBITMAP)pbmp->m_hObject;
    }
    return AddBarBand(pBar, rbbi);
}

BOOL CReBar::AddBar(CWnd* pBar, COLORREF clrFore, COLORREF clrBack, LPCTSTR pszText, DWORD dwStyle)
{
    REBARBANDINFO rbbi;
    memset(&rbbi, 0, sizeof(rbbi));
    rbbi.fMask = RBBIM_STYLE | RBBIM_COLORS;
    rbbi.fStyle = dwStyle;
    rbbi.clrFore = clrFore;
    rbbi.clrBack = clrBack;
    if (pszText != NULL)
    {
        rbbi.fMask |= RBBIM_TEXT;
        rbbi.lpText = (LPTSTR)pszText;
    }
    return AddBarBand(pBar, rbbi);
}

int CReBar::GetBandCount() const
{
    return m_hWnd != NULL ? (int)::SendMessage(m_hWnd, RB_GETBANDCOUNT, 0, 0) : 0;
}

CSize CReBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CRect rect(0, 0, 0, 0);
    if (m_hWnd != NULL)
        ::GetWindowRect(m_hWnd, &rect);
    int nThickness = m_hWnd != NULL ? (int)::SendMessage(m_hWnd, RB_GETBARHEIGHT, 0, 0) : 0;
    if (bHorz)
        return CSize(bStretch ? 32767 : rect.Width(), nThickness);
    return CSize(nThickness, bStretch ? 32767 : rect.Height());
}

void CReBar::OnHeightChange(NMHDR*, LRESULT* pResult)
{
    // The frame gives the rebar its new height and the rest to the others;
    // during a layout already running the request waits for its end.
    if (CFrameWnd* pFrame = GetParentFrame())
    {
        if (!pFrame->m_bInRecalcLayout)
            pFrame->RecalcLayout();
        else
            pFrame->PostMessage(WM_RECALCPARENT);
    }
    if (pResult != NULL)
        *pResult = 0;
}

void CReBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    UpdateDialogControls(pTarget, bDisableIfNoHndler);
}

// ---------------------------------------------------------------------------
// CDialogBar

namespace
{
// The controls of a dialog bar run on the dialog manager's defaults; the
// object handles messages through its subclassed procedure.
INT_PTR CALLBACK DialogBarProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}
} // namespace

CDialogBar::CDialogBar() : m_sizeDefault(0, 0)
{
}

CDialogBar::~CDialogBar()
{
    DestroyWindow();
}

BOOL CDialogBar::Create(CWnd* pParentWnd, LPCTSTR lpszTemplateName, UINT nStyle, UINT nID)
{
    if (pParentWnd == NULL || pParentWnd->GetSafeHwnd() == NULL || lpszTemplateName == NULL ||
        m_hWnd != NULL)
        return FALSE;
    HINSTANCE hInst = AfxFindResourceHandle(lpszTemplateName, RT_DIALOG);
    HRSRC hRsrc = ::FindResource(hInst, lpszTemplateName, RT_DIALOG);
    if (hRsrc == NULL)
        return FALSE;
    DWORD nSize = ::SizeofResource(hInst, hRsrc);
    HGLOBAL hGlobal = ::LoadResource(hInst, hRsrc);
    const BYTE* pData = hGlobal != NULL ? (const BYTE*)::LockResource(hGlobal) : NULL;
    if (pData == NULL || nSize < sizeof(DLGTEMPLATE))
        return FALSE;

    // A bar is a child whatever its template says: patch a copy.
    std::vector<BYTE> copy(pData, pData + nSize);
    BOOL bExtended = ((const WORD*)pData)[1] == 0xFFFF;
    size_t nStyleOffset = bExtended ? 12 : 0;
    if (copy.size() < nStyleOffset + sizeof(DWORD))
        return FALSE;
    DWORD dwStyle;
    memcpy(&dwStyle, &copy[nStyleOffset], sizeof(dwStyle));
    dwStyle &= ~(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_VISIBLE | DS_MODALFRAME);
    dwStyle |= WS_CHILD | WS_CLIPSIBLINGS;
    memcpy(&copy[nStyleOffset], &dwStyle, sizeof(dwStyle));

    m_dwStyle = nStyle & CBRS_ALL;
    HWND hWnd = ::CreateDialogIndirectParam(hInst, (LPCDLGTEMPLATE)&copy[0], pParentWnd->m_hWnd,
                                            DialogBarProc, 0);
    if (hWnd == NULL)
        return FALSE;
    if (!SubclassWindow(hWnd))
    {
        ::DestroyWindow(hWnd);
        return FALSE;
    }
    ::SetWindowLongPtr(m_hWnd, GWLP_ID, (LONG_PTR)nID);
    // Made by the dialog manager, the bar missed its WM_CREATE: join the
    // frame's bar list here, as other bars do when they are created.
    CWnd* pParent = CWnd::FromHandlePermanent(pParentWnd->m_hWnd);
    if (m_pDockSite == NULL && pParent != NULL && pParent->IsFrameWnd())
    {
        m_pDockSite = static_cast<CFrameWnd*>(pParent);
        m_pDockSite->AddControlBar(this);
    }
    CRect rect;
    ::GetWindowRect(m_hWnd, &rect);
    m_sizeDefault = rect.Size();
    // The frame's layout sizes and shows the bar.
    ::SetWindowPos(m_hWnd, NULL, 0, 0, 0, 0,
                   SWP_NOZORDER | SWP_NOACTIVATE | ((nStyle & WS_VISIBLE) != 0 ? SWP_SHOWWINDOW : 0));
    return TRUE;
}

BOOL CDialogBar::Create(CWnd* pParentWnd, UINT nIDTemplate, UINT nStyle, UINT nID)
{
    return Create(pParentWnd, MAKEINTRESOURCE(nIDTemplate), nStyle, nID);
}

CSize CDialogBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    if (!bStretch)
        return m_sizeDefault;
    if (bHorz)
        return CSize(32767, m_sizeDefault.cy);
    return CSize(m_sizeDefault.cx, 32767);
}

void CDialogBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    UpdateDialogControls(pTarget, bDisableIfNoHndler);
}
