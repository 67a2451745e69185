// The flat combo box and its themes.
#include "XTFlatComboBox.h"

#include "XTAuxData.h"
#include "XTPDrawHelpers.h"

/////////////////////////////////////////////////////////////////////////////
// CXTFlatComboBoxTheme

CXTFlatComboBoxTheme::CXTFlatComboBoxTheme()
    : m_cxArrow(15), m_cxHThumb(0), m_cyVThumb(0), m_cxBorder(1), m_cyBorder(1), m_cxEdge(2), m_cyEdge(2)
{
    m_nTheme = xtThemeDefault;
}

void CXTFlatComboBoxTheme::RefreshMetrics()
{
    CXTThemeManagerStyle::RefreshMetrics();
    m_cxHThumb = ::GetSystemMetrics(SM_CXHTHUMB);
    m_cyVThumb = ::GetSystemMetrics(SM_CYVTHUMB);
    m_cxBorder = ::GetSystemMetrics(SM_CXBORDER);
    m_cyBorder = ::GetSystemMetrics(SM_CYBORDER);
    m_cxEdge = ::GetSystemMetrics(SM_CXEDGE);
    m_cyEdge = ::GetSystemMetrics(SM_CYEDGE);

    // Twice the average character width of the toolkit's font, plus 4.
    int nAveCharWidth = 0;
    HDC hDC = ::GetDC(NULL);
    if (hDC != NULL)
    {
        HGDIOBJ hOldFont = ::SelectObject(hDC, XTAuxData().font.GetSafeHandle() != NULL
                                                   ? XTAuxData().font.GetSafeHandle()
                                                   : ::GetStockObject(DEFAULT_GUI_FONT));
        TEXTMETRIC tm;
        if (::GetTextMetrics(hDC, &tm))
            nAveCharWidth = tm.tmAveCharWidth;
        ::SelectObject(hDC, hOldFont);
        ::ReleaseDC(NULL, hDC);
    }
    m_cxArrow = nAveCharWidth * 2 + 4;
    if (m_cxArrow < 15)
        m_cxArrow = 15;
}

void CXTFlatComboBoxTheme::DrawFrame(CDC* pDC, const CRect& rcClient, int nState)
{
    if (nState == xtComboRaised || nState == xtComboPressed)
        pDC->Draw3dRect(&rcClient, GetXTPSysColor(COLOR_3DSHADOW), GetXTPSysColor(COLOR_3DHIGHLIGHT));
}

void CXTFlatComboBoxTheme::DrawFlatComboBox(CDC* pDC, CXTFlatComboBox* pCombo, int nState)
{
    CRect rcClient;
    pCombo->GetClientRect(&rcClient);
    CRect rcInner = rcClient;
    rcInner.DeflateRect(m_cxEdge, m_cyEdge);

    if (pCombo->IsWindowEnabled())
    {
        pDC->FillSolidRect(&rcInner, GetXTPSysColor(COLOR_WINDOW));
        CRect rcText = rcInner;
        rcText.DeflateRect(m_cxBorder, m_cyBorder);
        rcText.right -= m_cxArrow;
        if (nState == xtComboRaised || nState == xtComboPressed)
            rcText.right -= 1;
        DrawFrame(pDC, rcClient, nState);
        if (!pCombo->HasEditField())
        {
            const COLORREF clrBack = pCombo->GetBackColor();
            pDC->FillSolidRect(&rcText, clrBack != COLORREF_NULL ? clrBack : GetXTPSysColor(COLOR_WINDOW));
        }
    }
    else
    {
        pDC->FillSolidRect(&rcInner, GetXTPSysColor(XPCOLOR_3DFACE));
        const COLORREF clrFrame = GetXTPSysColor(XPCOLOR_3DSHADOW);
        pDC->Draw3dRect(&rcClient, clrFrame, clrFrame);
    }
    DrawArrow(pDC, rcInner, nState, pCombo);
}

void AFX_CDECL CXTFlatComboBoxTheme::DrawArrowGlyph(CDC* pDC, int x, int y, COLORREF clr)
{
    // A downward triangle of 5, 3 and 1 pixels.
    pDC->FillSolidRect(x, y, 5, 1, clr);
    pDC->FillSolidRect(x + 1, y + 1, 3, 1, clr);
    pDC->FillSolidRect(x + 2, y + 2, 1, 1, clr);
}

void CXTFlatComboBoxTheme::DrawArrow(CDC* pDC, CRect rcArrow, int nState, CXTFlatComboBox* pCombo)
{
    CRect rcButton = rcArrow;
    DrawButton(pDC, rcButton, nState, pCombo);
    int x = (rcButton.left + rcButton.right - 4) / 2;
    int y = (rcButton.top + rcButton.bottom - 2) / 2;
    if (nState == xtComboPressed)
    {
        x++;
        y++;
    }
    DrawArrowGlyph(pDC, x, y, GetXTPSysColor(pCombo->IsWindowEnabled() ? COLOR_WINDOWTEXT : COLOR_3DSHADOW));
}

void CXTFlatComboBoxTheme::DrawButton(CDC* pDC, CRect& rcArrow, int nState, CXTFlatComboBox* /*pCombo*/)
{
    rcArrow.left = rcArrow.right - m_cxArrow + 4;
    const COLORREF clrFace = GetXTPSysColor(COLOR_3DFACE);
    if (nState == xtComboNormal)
    {
        rcArrow.DeflateRect(1, 1);
        pDC->FillSolidRect(&rcArrow, clrFace);
        return;
    }
    if (nState == xtComboRaised)
        pDC->Draw3dRect(&rcArrow, GetXTPSysColor(COLOR_3DHIGHLIGHT), GetXTPSysColor(COLOR_3DSHADOW));
    else
        pDC->Draw3dRect(&rcArrow, GetXTPSysColor(COLOR_3DSHADOW), GetXTPSysColor(COLOR_3DHIGHLIGHT));
    CRect rcOutside = rcArrow;
    rcOutside.InflateRect(1, 1);
    pDC->Draw3dRect(&rcOutside, clrFace, clrFace);
    CRect rcInside = rcArrow;
    rcInside.DeflateRect(1, 1);
    pDC->FillSolidRect(&rcInside, clrFace);
}

/////////////////////////////////////////////////////////////////////////////
// CXTFlatComboBoxThemeOfficeXP

CXTFlatComboBoxThemeOfficeXP::CXTFlatComboBoxThemeOfficeXP()
{
    m_nTheme = xtThemeOfficeXP;
}

void CXTFlatComboBoxThemeOfficeXP::DrawFrame(CDC* pDC, const CRect& rcClient, int nState)
{
    const COLORREF clrFrame =
        GetXTPSysColor(nState == xtComboNormal ? XPCOLOR_3DFACE : XPCOLOR_HIGHLIGHT_BORDER);
    pDC->Draw3dRect(&rcClient, clrFrame, clrFrame);
}

COLORREF CXTFlatComboBoxThemeOfficeXP::GetButtonLineColor()
{
    return GetXTPSysColor(XPCOLOR_HIGHLIGHT_BORDER);
}

void CXTFlatComboBoxThemeOfficeXP::DrawArrow(CDC* pDC, CRect rcArrow, int nState, CXTFlatComboBox* pCombo)
{
    CRect rcButton = rcArrow;
    DrawButton(pDC, rcButton, nState, pCombo);
    const int x = (rcButton.left + rcButton.right - 4) / 2;
    const int y = (rcButton.top + rcButton.bottom - 2) / 2;
    DrawArrowGlyph(pDC, x, y, GetXTPSysColor(pCombo->IsWindowEnabled() ? COLOR_WINDOWTEXT : COLOR_3DSHADOW));
}

void CXTFlatComboBoxThemeOfficeXP::DrawButton(CDC* pDC, CRect& rcArrow, int nState, CXTFlatComboBox* /*pCombo*/)
{
    rcArrow.left = rcArrow.right - m_cxArrow + 2;
    if (nState == xtComboNormal)
    {
        rcArrow.DeflateRect(1, 1);
        pDC->FillSolidRect(&rcArrow, GetXTPSysColor(COLOR_3DFACE));
        return;
    }
    pDC->FillSolidRect(&rcArrow, GetXTPSysColor(nState == xtComboPressed ? XPCOLOR_HIGHLIGHT_PUSHED : XPCOLOR_HIGHLIGHT));
    pDC->FillSolidRect(rcArrow.left - 1, rcArrow.top, 1, rcArrow.Height(), GetButtonLineColor());
}

/////////////////////////////////////////////////////////////////////////////
// CXTFlatComboBoxThemeOffice2003

CXTFlatComboBoxThemeOffice2003::CXTFlatComboBoxThemeOffice2003()
{
    m_nTheme = xtThemeOffice2003;
}

void CXTFlatComboBoxThemeOffice2003::DrawFrame(CDC* pDC, const CRect& rcClient, int nState)
{
    if (nState == xtComboNormal)
        return;
    const COLORREF clrFrame = GetColorManager()->GetLunaColor(XPCOLOR_HIGHLIGHT_BORDER);
    pDC->Draw3dRect(&rcClient, clrFrame, clrFrame);
}

COLORREF CXTFlatComboBoxThemeOffice2003::GetButtonLineColor()
{
    return GetColorManager()->GetLunaColor(XPCOLOR_HIGHLIGHT_BORDER);
}

void CXTFlatComboBoxThemeOffice2003::DrawButton(CDC* pDC, CRect& rcArrow, int nState, CXTFlatComboBox* pCombo)
{
    rcArrow.left = rcArrow.right - m_cxArrow + 2;
    CXTPColorManager* pManager = GetColorManager();
    if (nState == xtComboNormal)
    {
        if (pCombo->IsWindowEnabled())
        {
            rcArrow.DeflateRect(1, 1);
            XTPDrawHelpers()->GradientFill(pDC, &rcArrow, pManager->GetGradientColor(6), FALSE);
        }
        return;
    }
    XTPDrawHelpers()->GradientFill(pDC, &rcArrow, pManager->GetGradientColor(nState == xtComboPressed ? 8 : 9), FALSE);
    pDC->FillSolidRect(rcArrow.left - 1, rcArrow.top, 1, rcArrow.Height(), GetButtonLineColor());
}

/////////////////////////////////////////////////////////////////////////////
// CXTFlatComboBoxThemeFactory

IMPLEMENT_DYNCREATE(CXTFlatComboBoxThemeFactory, CXTThemeManagerStyleFactory)

CXTThemeManagerStyle* CXTFlatComboBoxThemeFactory::CreateTheme(int nTheme)
{
    CXTFlatComboBoxTheme* pTheme;
    switch (nTheme)
    {
    case xtThemeOfficeXP:
        pTheme = new CXTFlatComboBoxThemeOfficeXP;
        break;
    case xtThemeOffice2003:
        pTheme = new CXTFlatComboBoxThemeOffice2003;
        break;
    default:
        pTheme = new CXTFlatComboBoxTheme;
        break;
    }
    pTheme->m_nTheme = nTheme;
    return pTheme;
}

/////////////////////////////////////////////////////////////////////////////
// CXTFlatComboBox

IMPLEMENT_DYNAMIC(CXTFlatComboBox, CComboBox)

BEGIN_MESSAGE_MAP(CXTFlatComboBox, CComboBox)
    ON_WM_SETCURSOR()
    ON_WM_TIMER()
    ON_WM_PAINT()
    ON_WM_PRINTCLIENT()
    ON_WM_ERASEBKGND()
    ON_CONTROL_REFLECT_EX(CBN_SETFOCUS, OnSetFocus)
    ON_CONTROL_REFLECT_EX(CBN_KILLFOCUS, OnKillFocus)
    ON_CONTROL_REFLECT_EX(CBN_CLOSEUP, OnCloseUp)
    ON_CONTROL_REFLECT_EX(CBN_EDITUPDATE, OnEditUpdate)
END_MESSAGE_MAP()

CXTFlatComboBox::CXTFlatComboBox()
    : CXTThemeManagerStyleHost(RUNTIME_CLASS(CXTFlatComboBoxThemeFactory)), m_bAutoComp(FALSE), m_bFlatLook(TRUE),
      m_bDisableAC(FALSE), m_bPainted(FALSE), m_bHasFocus(FALSE), m_dwReserved1(0), m_dwReserved2(0),
      m_clrBack(COLORREF_NULL), m_clrText(COLORREF_NULL)
{
}

CXTFlatComboBox::~CXTFlatComboBox()
{
}

CXTFlatComboBoxTheme* CXTFlatComboBox::GetTheme() const
{
    return static_cast<CXTFlatComboBoxTheme*>(CXTThemeManagerStyleHost::GetTheme());
}

void CXTFlatComboBox::EnableAutoCompletion(BOOL bEnable)
{
    m_bAutoComp = bEnable;
}

BOOL CXTFlatComboBox::SetAutoComplete(BOOL bEnable)
{
    EnableAutoCompletion(bEnable);
    return m_bAutoComp;
}

BOOL CXTFlatComboBox::PointInRect()
{
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    CPoint ptCursor;
    ::GetCursorPos(&ptCursor);
    return rcWindow.PtInRect(ptCursor);
}

BOOL CXTFlatComboBox::HasFocus()
{
    return m_bHasFocus;
}

COLORREF CXTFlatComboBox::SetBackColor(COLORREF clrBack)
{
    m_clrBack = clrBack;
    return m_clrBack;
}

COLORREF CXTFlatComboBox::SetTextColor(COLORREF clrText)
{
    m_clrText = clrText;
    return m_clrText;
}

COLORREF CXTFlatComboBox::SetSecondColor(COLORREF clrSecond)
{
    return SetTextColor(clrSecond);
}

BOOL CXTFlatComboBox::HasEditField() const
{
    return ::IsWindow(m_hWnd) && ::SendMessage(m_hWnd, CB_GETEDITSEL, 0, 0) != CB_ERR;
}

void CXTFlatComboBox::DrawFlatCombo(CDC* pDC, int nState)
{
    if (CXTFlatComboBoxTheme* pTheme = GetTheme())
        pTheme->DrawFlatComboBox(pDC, this, nState);
}

int CXTFlatComboBox::GetDrawState()
{
    if (!HasFocus() && !PointInRect())
        return xtComboNormal;
    return GetDroppedState() ? xtComboPressed : xtComboRaised;
}

void CXTFlatComboBox::DeflateEditRect(CRect& rc)
{
    CXTFlatComboBoxTheme* pTheme = GetTheme();
    if (pTheme == NULL)
        return;
    rc.DeflateRect(pTheme->m_cxBorder + pTheme->m_cxEdge, pTheme->m_cyBorder + pTheme->m_cyEdge);
    rc.right -= pTheme->m_cxHThumb;
}

void CXTFlatComboBox::RedrawFlatCombo(CDC* pDC)
{
    if (!m_bFlatLook || pDC == NULL || pDC->GetSafeHdc() == NULL)
        return;
    CRect rcClient;
    GetClientRect(&rcClient);
    CRect rcEdit = rcClient;
    DeflateEditRect(rcEdit);
    // The system's text stays as it drew it.
    pDC->ExcludeClipRect(&rcEdit);

    CXTMemDC memDC(pDC, rcClient, CXTPPaintManagerColorGradient(GetXTPSysColor(COLOR_3DFACE)));
    if (memDC.IsValid())
        DrawFlatCombo(&memDC, GetDrawState());
}

void CXTFlatComboBox::OnHoverTimer()
{
    if (!PointInRect())
    {
        KillTimer(XT_FLATCOMBO_HOVER_TIMER);
        if (m_bPainted)
            RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        m_bPainted = FALSE;
    }
    else if (!m_bPainted)
    {
        RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        m_bPainted = TRUE;
    }
}

BOOL CXTFlatComboBox::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (message == WM_MOUSEMOVE && m_bFlatLook && PointInRect())
    {
        SetTimer(XT_FLATCOMBO_HOVER_TIMER, 10, NULL);
        OnHoverTimer();
    }
    return CComboBox::OnSetCursor(pWnd, nHitTest, message);
}

void CXTFlatComboBox::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == XT_FLATCOMBO_HOVER_TIMER)
    {
        OnHoverTimer();
        return;
    }
    CComboBox::OnTimer(nIDEvent);
}

void CXTFlatComboBox::OnPaint()
{
    Default();
    if (m_bFlatLook)
    {
        CClientDC dc(this);
        RedrawFlatCombo(&dc);
    }
}

void CXTFlatComboBox::OnPrintClient(CDC* pDC, UINT /*nFlags*/)
{
    Default();
    RedrawFlatCombo(pDC);
}

BOOL CXTFlatComboBox::OnEraseBkgnd(CDC* /*pDC*/)
{
    return TRUE;
}

BOOL CXTFlatComboBox::OnSetFocus()
{
    m_bHasFocus = TRUE;
    if (m_bFlatLook)
        RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    return FALSE;
}

BOOL CXTFlatComboBox::OnKillFocus()
{
    m_bHasFocus = FALSE;
    if (m_bFlatLook)
        RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    return FALSE;
}

BOOL CXTFlatComboBox::OnCloseUp()
{
    if (m_bFlatLook)
        Invalidate();
    return FALSE;
}

BOOL CXTFlatComboBox::OnEditUpdate()
{
    if (!m_bAutoComp || m_bDisableAC)
        return FALSE;

    CString strText;
    GetWindowText(strText);
    const int nLength = strText.GetLength();
    if (nLength == 0)
        return FALSE;

    const DWORD dwSel = GetEditSel();
    const BOOL bHadSel = dwSel != (DWORD)CB_ERR;
    const int nStart = bHadSel ? LOWORD(dwSel) : 0;
    const int nEnd = bHadSel ? HIWORD(dwSel) : 0;

    if (SelectString(-1, strText) == CB_ERR)
    {
        // No entry starts so: the typed text stays as typed.
        SetWindowText(strText);
        if (bHadSel)
            SetEditSel(nStart, nEnd);
    }

    if (!bHadSel || nEnd >= nLength)
        SetEditSel(nLength, -1);
    else
        SetEditSel(nStart, nEnd);
    return FALSE;
}

BOOL CXTFlatComboBox::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST)
    {
        const UINT nKey = (UINT)pMsg->wParam;
        if ((pMsg->message == WM_KEYDOWN || pMsg->message == WM_KEYUP) && (nKey == VK_BACK || nKey == VK_DELETE) &&
            m_bAutoComp)
        {
            m_bDisableAC = pMsg->message == WM_KEYDOWN;
        }
        const BOOL bDialogKey = nKey == VK_TAB || nKey == VK_RETURN || nKey == VK_ESCAPE;
        if (!bDialogKey && HasEditField())
        {
            // The edit field gets its keys directly, before the dialog can
            // take them as navigation.
            ::TranslateMessage(pMsg);
            ::DispatchMessage(pMsg);
            return TRUE;
        }
    }
    return CComboBox::PreTranslateMessage(pMsg);
}

BOOL CXTFlatComboBox::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_SETTINGCHANGE || message == WM_SYSCOLORCHANGE)
    {
        if (CXTFlatComboBoxTheme* pTheme = GetTheme())
            pTheme->RefreshMetrics();
    }
    return CComboBox::OnWndMsg(message, wParam, lParam, pResult);
}

void CXTFlatComboBox::OnThemeChanged()
{
    if (::IsWindow(m_hWnd))
        RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_FRAME);
}
