// The hyperlink.
#include "XTHyperLink.h"

#include "XTPColorManager.h"
#include "XTPResourceManager.h"
#include "controls_res.h"

#include <shellapi.h>

namespace
{
const UINT_PTR kHoverTimer = 1;

CXTHyperLink::PFNSHELLEXECUTE s_pfnShellExecute = &::ShellExecuteA;

// NONCLIENTMETRICS in the layout without the padded-border field.
const UINT kNonClientMetricsSize = 340;
} // namespace

IMPLEMENT_DYNAMIC(CXTHyperLink, CStatic)

BEGIN_MESSAGE_MAP(CXTHyperLink, CStatic)
    ON_WM_CREATE()
    ON_WM_SETCURSOR()
    ON_WM_MOUSEMOVE()
    ON_WM_TIMER()
    ON_WM_CTLCOLOR_REFLECT()
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
    ON_WM_WINDOWPOSCHANGED()
    ON_WM_NCHITTEST()
    ON_CONTROL_REFLECT_EX(STN_CLICKED, OnClicked)
END_MESSAGE_MAP()

CXTHyperLink::PFNSHELLEXECUTE AFXAPI CXTHyperLink::SetShellExecute(PFNSHELLEXECUTE pfnShellExecute)
{
    PFNSHELLEXECUTE pfnOld = s_pfnShellExecute;
    s_pfnShellExecute = pfnShellExecute != NULL ? pfnShellExecute : &::ShellExecuteA;
    return pfnOld;
}

CXTHyperLink::CXTHyperLink()
    : m_bOpenURL(1), m_bPreSubclassInit(1), m_bUnderline(1), m_bHover(0), m_bVisited(0), m_bShowToolTip(1),
      m_hcurHand(NULL), m_clrLink(RGB(0, 0, 255)), m_clrHover(RGB(255, 0, 0)), m_clrVisited(RGB(128, 0, 128)),
      m_clrBack((COLORREF)-1)
{
    m_hcurHand = ::LoadCursor(NULL, IDC_HAND);
    if (m_hcurHand == NULL)
        m_hcurHand = XTPResourceManager()->LoadCursor(9973);
}

CXTHyperLink::~CXTHyperLink()
{
}

BOOL CXTHyperLink::PreCreateWindow(CREATESTRUCT& cs)
{
    m_bPreSubclassInit = 0;
    return CStatic::PreCreateWindow(cs);
}

void CXTHyperLink::PreSubclassWindow()
{
    CStatic::PreSubclassWindow();
    if (m_bPreSubclassInit)
        Init();
}

int CXTHyperLink::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CStatic::OnCreate(lpCreateStruct) == -1)
        return -1;
    Init();
    return 0;
}

void CXTHyperLink::Init()
{
    if (IsTextControl())
    {
        if (m_strURL.IsEmpty())
            GetWindowText(m_strURL);
        SetURL(m_strURL);
    }
    ModifyStyle(0, SS_NOTIFY);
    UpdateFont();
}

void CXTHyperLink::RedrawLink()
{
    if (m_hWnd != NULL)
        RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CXTHyperLink::SetURL(LPCTSTR lpszURL)
{
    m_strURL = lpszURL != NULL ? lpszURL : "";
    if (m_strTipText.IsEmpty())
        m_strTipText = m_strURL;
    if (m_strTipText.IsEmpty() || m_hWnd == NULL)
        return;
    if (m_toolTip.m_hWnd == NULL)
    {
        if (!m_toolTip.Create(this))
        {
            TRACE("CXTHyperLink: cannot create the tooltip\n");
            return;
        }
        m_toolTip.AddTool(this, m_strTipText);
        m_toolTip.Activate(m_bShowToolTip);
    }
    else
    {
        m_toolTip.UpdateTipText(m_strURL, this);
    }
}

CString CXTHyperLink::GetURL() const
{
    return m_strURL;
}

void CXTHyperLink::SetColors(COLORREF clrLink, COLORREF clrVisited, COLORREF clrHover)
{
    m_clrLink = clrLink;
    m_clrVisited = clrVisited;
    m_clrHover = clrHover;
    RedrawLink();
}

COLORREF CXTHyperLink::GetLinkColor() const
{
    return m_clrLink;
}

COLORREF CXTHyperLink::GetVisitedColor() const
{
    return m_clrVisited;
}

COLORREF CXTHyperLink::GetHoverColor() const
{
    return m_clrHover;
}

void CXTHyperLink::SetVisited(BOOL bVisited)
{
    m_bVisited = bVisited ? 1 : 0;
    RedrawLink();
}

BOOL CXTHyperLink::GetVisited() const
{
    return m_bVisited;
}

void CXTHyperLink::SetLinkCursor(HCURSOR hCursor)
{
    m_hcurHand = hCursor;
}

HCURSOR CXTHyperLink::GetLinkCursor() const
{
    return m_hcurHand;
}

void CXTHyperLink::SetUnderline(BOOL bUnderline)
{
    m_bUnderline = bUnderline ? 1 : 0;
    UpdateFont();
}

BOOL CXTHyperLink::GetUnderline() const
{
    return m_bUnderline;
}

void CXTHyperLink::SetBackColor(COLORREF clrBack)
{
    m_clrBack = clrBack;
    RedrawLink();
}

COLORREF CXTHyperLink::GetBackColor() const
{
    return m_clrBack == (COLORREF)-1 ? GetXTPSysColor(COLOR_3DFACE) : m_clrBack;
}

CString AFX_CDECL CXTHyperLink::GetErrorText(int nError)
{
    UINT nID;
    switch (nError)
    {
    case 0:
        nID = XT_IDS_SE_0;
        break;
    case SE_ERR_FNF:
        nID = XT_IDS_SE_ERR_FNF;
        break;
    case SE_ERR_PNF:
        nID = XT_IDS_SE_ERR_PNF;
        break;
    case SE_ERR_ACCESSDENIED:
        nID = XT_IDS_SE_ERR_ACCESSDENIED;
        break;
    case SE_ERR_OOM:
        nID = XT_IDS_SE_ERR_OOM;
        break;
    case ERROR_BAD_FORMAT:
        nID = XT_IDS_SE_ERR_BAD_FORMAT;
        break;
    case SE_ERR_SHARE:
        nID = XT_IDS_SE_ERR_SHARE;
        break;
    case SE_ERR_ASSOCINCOMPLETE:
        nID = XT_IDS_SE_ERR_ASSOCINCOMPLETE;
        break;
    case SE_ERR_DDETIMEOUT:
        nID = XT_IDS_SE_ERR_DDETIMEOUT;
        break;
    case SE_ERR_DDEFAIL:
        nID = XT_IDS_SE_ERR_DDEFAIL;
        break;
    case SE_ERR_DDEBUSY:
        nID = XT_IDS_SE_ERR_DDEBUSY;
        break;
    case SE_ERR_NOASSOC:
        nID = XT_IDS_SE_ERR_NOASSOC;
        break;
    case SE_ERR_DLLNOTFOUND:
        nID = XT_IDS_SE_ERR_DLLNOTFOUND;
        break;
    default:
    {
        CString strFormat, strText;
        XTPResourceManager()->LoadString(&strFormat, XT_IDS_SE_ERR_UNKOWN);
        strText.Format(strFormat, nError);
        return strText;
    }
    }
    CString strText;
    XTPResourceManager()->LoadString(&strText, nID);
    return strText;
}

void CXTHyperLink::ReportError(int nError)
{
    const CString strText = GetErrorText(nError);
    ::MessageBeep(MB_ICONEXCLAMATION);
    AfxMessageBox(strText, MB_ICONEXCLAMATION);
}

BOOL CXTHyperLink::GotoURL(LPCTSTR lpszURL, int nShowCmd, LPCTSTR lpszParams, LPCTSTR lpszDir)
{
    const CString strURL = lpszURL != NULL ? CString(lpszURL) : m_strURL;
    HINSTANCE hResult = s_pfnShellExecute(NULL, "open", strURL, lpszParams, lpszDir, nShowCmd);
    const INT_PTR nResult = (INT_PTR)hResult;
    if (nResult <= 32)
    {
        ReportError((int)nResult);
        return FALSE;
    }
    return TRUE;
}

BOOL CXTHyperLink::IsTextControl()
{
    if (m_hWnd == NULL)
        return FALSE;
    return (GetStyle() & 0xFF) < 3;
}

BOOL CXTHyperLink::PointInText()
{
    CPoint pt;
    ::GetCursorPos(&pt);
    return PointInText(pt);
}

BOOL CXTHyperLink::PointInText(CPoint ptScreen)
{
    if (m_hWnd == NULL)
        return FALSE;
    if (!IsTextControl())
        return TRUE;
    CString strText;
    GetWindowText(strText);
    CRect rc;
    GetWindowRect(&rc);
    CSize size(0, 0);
    {
        CClientDC dc(this);
        CFont* pOldFont = dc.SelectObject(GetFont());
        size = dc.GetTextExtent(strText);
        dc.SelectObject(pOldFont);
    }
    switch (GetStyle() & 0x03)
    {
    case SS_LEFT:
        rc.right = rc.left + size.cx;
        break;
    case SS_CENTER:
    {
        const int nInset = (rc.Width() - size.cx) / 2;
        rc.left += nInset;
        rc.right -= nInset;
        break;
    }
    case SS_RIGHT:
        rc.left = rc.right - size.cx;
        break;
    default:
        break;
    }
    return rc.PtInRect(ptScreen);
}

void CXTHyperLink::CreateLinkFont(CFont& font, BYTE bUnderline)
{
    LOGFONT lf = {};
    CFont* pFont = m_hWnd != NULL ? GetFont() : NULL;
    if (pFont == NULL || pFont->GetSafeHandle() == NULL || !pFont->GetLogFont(&lf))
    {
        NONCLIENTMETRICS ncm = {};
        ncm.cbSize = kNonClientMetricsSize;
        if (!::SystemParametersInfo(SPI_GETNONCLIENTMETRICS, kNonClientMetricsSize, &ncm, 0))
            return;
        lf = ncm.lfStatusFont;
    }
    lf.lfUnderline = bUnderline;
    HFONT hFont = ::CreateFontIndirect(&lf);
    if (hFont == NULL)
        return;
    font.DeleteObject();
    font.Attach(hFont);
}

BOOL CXTHyperLink::UpdateFont()
{
    if (m_hWnd == NULL)
        return FALSE;
    // The control still holds the old link font until WM_SETFONT: the new
    // one is made first, the old one freed after.
    CFont fontNew;
    CreateLinkFont(fontNew, m_bUnderline);
    if (fontNew.GetSafeHandle() == NULL)
        return FALSE;
    SendMessage(WM_SETFONT, (WPARAM)fontNew.GetSafeHandle(), FALSE);
    m_font.DeleteObject();
    m_font.Attach(fontNew.Detach());
    RedrawLink();
    return TRUE;
}

BOOL CXTHyperLink::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (m_hcurHand != NULL && PointInText())
    {
        ::SetCursor(m_hcurHand);
        return TRUE;
    }
    return CStatic::OnSetCursor(pWnd, nHitTest, message);
}

void CXTHyperLink::OnMouseMove(UINT nFlags, CPoint point)
{
    if (IsTextControl() && PointInText())
        SetTimer(kHoverTimer, 10, NULL);
    CStatic::OnMouseMove(nFlags, point);
}

void CXTHyperLink::OnHoverTimer()
{
    if (!IsTextControl())
        return;
    const BOOL bOver = PointInText();
    if (bOver != (BOOL)m_bHover)
    {
        m_bHover = bOver ? 1 : 0;
        RedrawLink();
    }
    if (!m_bHover)
        KillTimer(kHoverTimer);
}

void CXTHyperLink::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kHoverTimer)
        OnHoverTimer();
    CStatic::OnTimer(nIDEvent);
}

HBRUSH CXTHyperLink::CtlColor(CDC* pDC, UINT)
{
    if (!IsTextControl())
        return NULL;
    HBRUSH hBrush;
    if (m_clrBack != (COLORREF)-1)
        hBrush = (HBRUSH)::GetStockObject(NULL_BRUSH);
    else
        hBrush = (HBRUSH)::DefWindowProc(::GetParent(m_hWnd), WM_CTLCOLORSTATIC, (WPARAM)pDC->m_hDC, (LPARAM)m_hWnd);
    pDC->SetTextColor(m_bHover ? m_clrHover : m_bVisited ? m_clrVisited : m_clrLink);
    pDC->SetBkMode(TRANSPARENT);
    return hBrush;
}

BOOL CXTHyperLink::OnEraseBkgnd(CDC* pDC)
{
    if (m_clrBack != (COLORREF)-1)
        return TRUE;
    return CStatic::OnEraseBkgnd(pDC);
}

void CXTHyperLink::OnPaint()
{
    if (m_clrBack == (COLORREF)-1 || (GetExStyle() & WS_EX_TRANSPARENT))
    {
        Default();
        return;
    }
    // Over the back colour, through a memory DC.
    CPaintDC dc(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    CDC dcMem;
    CBitmap bmp;
    if (!dcMem.CreateCompatibleDC(&dc) || !bmp.CreateCompatibleBitmap(&dc, rcClient.Width(), rcClient.Height()))
        return;
    CBitmap* pOld = dcMem.SelectObject(&bmp);
    dcMem.FillSolidRect(rcClient, m_clrBack);
    DefWindowProc(WM_PAINT, (WPARAM)dcMem.m_hDC, 0);
    dc.BitBlt(0, 0, rcClient.Width(), rcClient.Height(), &dcMem, 0, 0, SRCCOPY);
    dcMem.SelectObject(pOld);
}

void CXTHyperLink::OnWindowPosChanged(WINDOWPOS* lpwndpos)
{
    CStatic::OnWindowPosChanged(lpwndpos);
    RedrawLink();
}

LRESULT CXTHyperLink::OnNcHitTest(CPoint)
{
    return HTCLIENT;
}

BOOL CXTHyperLink::OnClicked()
{
    if (PointInText())
    {
        if (m_bOpenURL)
        {
            // The link shows whether its address was opened: a failed open
            // has said why and leaves the link unvisited, even one that was
            // visited before.
            SetVisited(GotoURL(NULL, SW_SHOW, NULL, NULL));
        }
        else
        {
            SetVisited(TRUE);
        }
        if (m_toolTip.m_hWnd != NULL && m_bShowToolTip)
            m_toolTip.Pop();
    }
    return !IsTextControl();
}

BOOL CXTHyperLink::PreTranslateMessage(MSG* pMsg)
{
    if (m_toolTip.m_hWnd != NULL && m_bShowToolTip)
        m_toolTip.RelayEvent(pMsg);
    return CStatic::PreTranslateMessage(pMsg);
}
