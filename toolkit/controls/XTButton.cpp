// The themed push button.
#include "XTButton.h"

#include "XTAuxData.h"
#include "XTPDrawHelpers.h"

IMPLEMENT_DYNAMIC(CXTButton, CButton)

BEGIN_MESSAGE_MAP(CXTButton, CButton)
    ON_WM_MOUSEMOVE()
    ON_WM_TIMER()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_CREATE()
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
    ON_WM_GETDLGCODE()
    ON_MESSAGE(BM_SETSTYLE, OnSetStyle)
END_MESSAGE_MAP()

CXTButton::CXTButton(CRuntimeClass* pFactoryClass)
    : CXTThemeManagerStyleHost(pFactoryClass != NULL ? pFactoryClass : RUNTIME_CLASS(CXTButtonThemeFactory)),
      m_nBorderGap(4), m_nImageGap(8), m_bPreSubclassInit(TRUE), m_bHot(FALSE), m_bUserPosition(FALSE),
      m_bLBtnDown(FALSE), m_bPainted(FALSE), m_dwxStyle(BS_XT_FLAT), m_sizeImage(0, 0), m_ptTextPos(0, 0),
      m_ptImagePos(0, 0), m_pIcon(NULL)
{
}

CXTButton::~CXTButton()
{
    ResetImage();
    delete m_pIcon;
    m_pIcon = NULL;
}

CXTButtonTheme* CXTButton::GetTheme() const
{
    return static_cast<CXTButtonTheme*>(CXTThemeManagerStyleHost::GetTheme());
}

BOOL CXTButton::SetIcon(CSize size, const CXTPImageManagerIconHandle& hIconHandle,
                        const CXTPImageManagerIconHandle& hIconHotHandle, BOOL bRedraw)
{
    if (size.cx == 0 && size.cy == 0)
        size = hIconHandle.GetExtent();
    m_sizeImage = size;

    delete m_pIcon;
    m_pIcon = new CXTPImageManagerIcon(0, size.cx, size.cy);
    m_pIcon->SetIcon(hIconHandle);
    if (!hIconHotHandle.IsEmpty())
        m_pIcon->SetHotIcon(hIconHotHandle);

    if (bRedraw && ::IsWindow(m_hWnd))
        Invalidate();
    return TRUE;
}

BOOL CXTButton::SetIcon(CSize size, UINT nID, UINT nHotID, BOOL bRedraw)
{
    CXTPImageManagerIconHandle hIcon;
    if (!hIcon.LoadIcon(nID, size.cx, size.cy))
        return FALSE;
    CXTPImageManagerIconHandle hIconHot;
    if (nHotID != 0 && !hIconHot.LoadIcon(nHotID, size.cx, size.cy))
        return FALSE;
    return SetIcon(size, hIcon, hIconHot, bRedraw);
}

BOOL CXTButton::SetIcon(CSize size, WORD wID, WORD wHotID, BOOL bRedraw)
{
    return SetIcon(size, (UINT)wID, (UINT)wHotID, bRedraw);
}

BOOL CXTButton::SetIcon(CSize size, HICON hIcon, HICON hIconHot, BOOL bRedraw)
{
    CXTPImageManagerIconHandle hNormal(hIcon);
    CXTPImageManagerIconHandle hHot(hIconHot);
    return SetIcon(size, hNormal, hHot, bRedraw);
}

BOOL CXTButton::SetBitmap(CSize size, UINT nID, BOOL bRedraw)
{
    delete m_pIcon;
    m_pIcon = NULL;

    BOOL bAlpha = FALSE;
    HBITMAP hBitmap = CXTPImageManager::LoadBitmapFromResource(MAKEINTRESOURCE(LOWORD(nID)), &bAlpha);
    if (hBitmap == NULL)
        return FALSE;

    CXTPImageManagerIconHandle hIcon;
    if (bAlpha)
    {
        hIcon.AttachBitmap(hBitmap);
    }
    else
    {
        HICON hIconFromBitmap = CXTPMaskedBitmap(hBitmap).CreateIcon();
        ::DeleteObject(hBitmap);
        if (hIconFromBitmap != NULL)
            hIcon.AttachIcon(hIconFromBitmap);
    }
    if (hIcon.IsEmpty())
        return FALSE;
    return SetIcon(size, hIcon, CXTPImageManagerIconHandle(), bRedraw);
}

BOOL CXTButton::SetTextImagePos(CPoint ptText, CPoint ptImage, BOOL bRedraw)
{
    m_ptTextPos = ptText;
    m_ptImagePos = ptImage;
    m_bUserPosition = TRUE;
    if (bRedraw && ::IsWindow(m_hWnd))
        Invalidate();
    return TRUE;
}

DWORD CXTButton::SetStyleFlags(DWORD dwxStyle, BOOL bRedraw)
{
    DWORD dwOld = m_dwxStyle;
    m_dwxStyle = dwxStyle;
    if (dwxStyle & BS_XT_XPFLAT)
        SetTheme(new CXTButtonThemeOfficeXP(FALSE));
    else if (dwxStyle & BS_XT_FLAT)
        SetTheme(new CXTButtonTheme);
    else
        SetTheme(NULL);
    if (bRedraw && ::IsWindow(m_hWnd))
        Invalidate();
    return dwOld;
}

DWORD CXTButton::GetStyleFlags() const
{
    return m_dwxStyle;
}

BOOL CXTButton::HasTheme() const
{
    return GetTheme() != NULL;
}

void CXTButton::SetColors(COLORREF clrFace, COLORREF clrHilite, COLORREF clrShadow, COLORREF clrText)
{
    if (CXTButtonTheme* pTheme = GetTheme())
        pTheme->SetColors(clrFace, clrHilite, clrShadow, clrText);
}

void CXTButton::SetBackColor(COLORREF clrFace)
{
    if (CXTButtonTheme* pTheme = GetTheme())
        pTheme->SetBackColor(clrFace);
}

COLORREF CXTButton::GetBackColor() const
{
    if (CXTButtonTheme* pTheme = GetTheme())
        return pTheme->GetBackColor();
    return XTAuxData().clr3DFace;
}

void CXTButton::SetHiliteColor(COLORREF clrHilite)
{
    if (CXTButtonTheme* pTheme = GetTheme())
        pTheme->SetHiliteColor(clrHilite);
}

void CXTButton::SetShadowColor(COLORREF clrShadow)
{
    if (CXTButtonTheme* pTheme = GetTheme())
        pTheme->SetShadowColor(clrShadow);
}

void CXTButton::SetTextColor(COLORREF clrText)
{
    if (CXTButtonTheme* pTheme = GetTheme())
        pTheme->SetTextColor(clrText);
}

void CXTButton::SetXPColors(COLORREF clrBorder, COLORREF clrHotBack, COLORREF clrPushedBack)
{
    CXTButtonTheme* pTheme = GetTheme();
    if (pTheme == NULL || pTheme->GetThemeStyle() != xtThemeOfficeXP)
        return;
    CXTButtonThemeOfficeXP* pThemeXP = static_cast<CXTButtonThemeOfficeXP*>(pTheme);
    pThemeXP->SetHiliteColor(clrBorder);
    pThemeXP->SetShadowColor(clrBorder);
    pThemeXP->SetHotBackColor(clrHotBack);
    pThemeXP->SetPushedBackColor(clrPushedBack);
}

void CXTButton::ToggleShowImage()
{
    CXTButtonTheme* pTheme = GetTheme();
    if (pTheme == NULL)
        return;
    pTheme->SetShowImage(!pTheme->GetShowImage());
    if (::IsWindow(m_hWnd))
        Invalidate();
}

CFont* CXTButton::SetButtonFont(CFont* pFont)
{
    if (!::IsWindow(m_hWnd))
        return NULL;
    HFONT hOldFont = (HFONT)SendMessage(WM_GETFONT);
    SendMessage(WM_SETFONT, (WPARAM)(pFont != NULL ? pFont->GetSafeHandle() : NULL), FALSE);
    Invalidate();
    return hOldFont != NULL ? CFont::FromHandle(hOldFont) : NULL;
}

BOOL CXTButton::SetOwnerDraw()
{
    if (!::IsWindow(m_hWnd))
        return FALSE;
    ::SetWindowLongPtr(m_hWnd, GWL_STYLE, ::GetWindowLongPtr(m_hWnd, GWL_STYLE) | BS_OWNERDRAW);
    return TRUE;
}

void CXTButton::ResetImage()
{
    if (m_pIcon != NULL)
        m_pIcon->Clear(TRUE);
}

void CXTButton::GetButtonText(CString& strText, BOOL bRemoveMnemonics) const
{
    strText.Empty();
    if (::IsWindow(m_hWnd))
        GetWindowText(strText);
    if (bRemoveMnemonics)
        CXTPDrawHelpers::StripMnemonics(strText);
}

HICON CXTButton::GetIconHandle() const
{
    return m_pIcon != NULL ? m_pIcon->GetIcon().GetIcon() : NULL;
}

CSize CXTButton::GetImageSize() const
{
    CXTButtonTheme* pTheme = GetTheme();
    return pTheme != NULL && pTheme->GetShowImage() ? m_sizeImage : CSize(0, 0);
}

CPoint CXTButton::GetTextPoint() const
{
    CXTButtonTheme* pTheme = GetTheme();
    return pTheme != NULL && pTheme->GetShowImage() ? m_ptTextPos : CPoint(0, 0);
}

CPoint CXTButton::GetImagePoint() const
{
    CXTButtonTheme* pTheme = GetTheme();
    return pTheme != NULL && pTheme->GetShowImage() ? m_ptImagePos : CPoint(0, 0);
}

void CXTButton::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    if (CXTButtonTheme* pTheme = GetTheme())
        pTheme->DrawItem(lpDIS, this);
}

BOOL CXTButton::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_SETTINGCHANGE || message == WM_SYSCOLORCHANGE)
    {
        if (CXTButtonTheme* pTheme = GetTheme())
            pTheme->RefreshMetrics();
    }
    return CButton::OnWndMsg(message, wParam, lParam, pResult);
}

void CXTButton::OnThemeChanged()
{
    if (::IsWindow(m_hWnd))
        Invalidate();
}

BOOL CXTButton::PreCreateWindow(CREATESTRUCT& cs)
{
    m_bPreSubclassInit = FALSE;
    return CButton::PreCreateWindow(cs);
}

void CXTButton::PreSubclassWindow()
{
    CButton::PreSubclassWindow();
    if (m_bPreSubclassInit)
        SetOwnerDraw();
}

int CXTButton::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CButton::OnCreate(lpCreateStruct) == -1)
        return -1;
    SetOwnerDraw();
    return 0;
}

void CXTButton::OnMouseMove(UINT nFlags, CPoint point)
{
    CXTButtonTheme* pTheme = GetTheme();
    if (pTheme != NULL && pTheme->UseHotTracking(this))
    {
        SetTimer(XT_BUTTON_HOVER_TIMER, 10, NULL);
        OnHoverTimer();
    }
    CButton::OnMouseMove(nFlags, point);
}

void CXTButton::OnHoverTimer()
{
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    CPoint ptCursor;
    ::GetCursorPos(&ptCursor);

    if (!m_bLBtnDown && rcWindow.PtInRect(ptCursor))
    {
        CXTButtonTheme* pTheme = GetTheme();
        if (pTheme == NULL || !pTheme->UseHotTracking(this) || m_bPainted)
            return;
        m_bHot = TRUE;
        Invalidate();
        m_bPainted = TRUE;
    }
    else
    {
        KillTimer(XT_BUTTON_HOVER_TIMER);
        m_bHot = FALSE;
        if (m_bPainted)
            Invalidate();
        m_bPainted = FALSE;
    }
}

void CXTButton::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == XT_BUTTON_HOVER_TIMER)
    {
        OnHoverTimer();
        return;
    }
    CButton::OnTimer(nIDEvent);
}

void CXTButton::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (!m_bLBtnDown)
    {
        m_bLBtnDown = TRUE;
        Invalidate();
    }
    CButton::OnLButtonDown(nFlags, point);
}

void CXTButton::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_bLBtnDown)
    {
        m_bLBtnDown = FALSE;
        Invalidate();
    }
    CButton::OnLButtonUp(nFlags, point);
}

void CXTButton::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    // A double click acts as a click: the second press is a press.
    CPoint ptCursor;
    ::GetCursorPos(&ptCursor);
    ScreenToClient(&ptCursor);
    SendMessage(WM_LBUTTONDOWN, 0, MAKELPARAM(ptCursor.x, ptCursor.y));
    CButton::OnLButtonDblClk(nFlags, point);
}

BOOL CXTButton::OnEraseBkgnd(CDC* /*pDC*/)
{
    return TRUE;
}

void CXTButton::OnPaint()
{
    CPaintDC dc(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    // The button's own procedure paints (and sends WM_DRAWITEM) into the
    // memory DC, which is copied to the screen when it goes.
    CXTMemDC memDC(&dc, rcClient, CXTPPaintManagerColorGradient(GetXTPSysColor(COLOR_3DFACE)));
    if (memDC.IsValid())
        DefWindowProc(WM_PAINT, (WPARAM)memDC.GetSafeHdc(), 0);
}

UINT CXTButton::OnGetDlgCode()
{
    return ::GetFocus() == m_hWnd ? (DLGC_BUTTON | DLGC_DEFPUSHBUTTON) : DLGC_BUTTON;
}

LRESULT CXTButton::OnSetStyle(WPARAM wParam, LPARAM lParam)
{
    DWORD dwOldStyle = GetStyle();
    // Default-button changes by the dialog manager keep the button owner-drawn.
    DefWindowProc(BM_SETSTYLE, wParam | BS_OWNERDRAW, FALSE);
    if (GetStyle() != dwOldStyle && LOWORD(lParam) != 0)
        Invalidate();
    return 0;
}
