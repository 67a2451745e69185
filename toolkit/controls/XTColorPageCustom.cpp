// The custom colour page, its spectrum window and its luminance bar.
#include "XTColorPageCustom.h"

#include "XTColorDialog.h"
#include "XTColorRef.h"
#include "XTPColorManager.h"
#include "controls_res.h"

namespace
{
// 9x-family version 4.10 keeps the bar's bottom rows as drawn.
bool IsWin98()
{
    const DWORD dwVersion = ::GetVersion();
    return (dwVersion & 0x80000000) != 0 && LOBYTE(LOWORD(dwVersion)) == 4 && HIBYTE(LOWORD(dwVersion)) == 10;
}

DWORD ToPixel(COLORREF clr)
{
    return ((DWORD)GetRValue(clr) << 16) | ((DWORD)GetGValue(clr) << 8) | GetBValue(clr);
}

COLORREF FromPixel(DWORD dw)
{
    return RGB((dw >> 16) & 0xFF, (dw >> 8) & 0xFF, dw & 0xFF);
}

// A marker position kept on the picture's pixels 0 .. n - 1: the ends of a
// field's range (saturation or luminance 0, hue 255) would otherwise point
// one pixel past the picture, where no colour can be picked.
int OnPicture(int v, int n)
{
    return v < 0 || n <= 0 ? 0 : v >= n ? n - 1 : v;
}
} // namespace

/////////////////////////////////////////////////////////////////////////////
// CXTColorBase

int CXTColorBase::s_nFocus = CXTColorBase::focusNone;

IMPLEMENT_DYNAMIC(CXTColorBase, CStatic)

BEGIN_MESSAGE_MAP(CXTColorBase, CStatic)
    ON_WM_CREATE()
    ON_WM_ERASEBKGND()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_GETDLGCODE()
END_MESSAGE_MAP()

CXTColorBase::CXTColorBase()
    : m_bPreSubclassInit(TRUE), m_clrColor(0), m_dLum(0), m_dSat(0), m_dHue(0), m_ptMarker(0, 0),
      m_hPicture(NULL), m_hOldPicture(NULL), m_sizePicture(0, 0)
{
    RGBtoHSL((COLORREF)0, m_dHue, m_dSat, m_dLum);
}

CXTColorBase::~CXTColorBase()
{
    FreePicture();
}

void CXTColorBase::FreePicture()
{
    if (m_dcPicture.GetSafeHdc() != NULL)
    {
        ::SelectObject(m_dcPicture.m_hDC, m_hOldPicture);
        m_dcPicture.DeleteDC();
    }
    if (m_hPicture != NULL)
        ::DeleteObject(m_hPicture);
    m_hPicture = NULL;
    m_hOldPicture = NULL;
    m_sizePicture = CSize(0, 0);
}

BOOL CXTColorBase::CreatePicture(int cx, int cy, DWORD** ppBits)
{
    FreePicture();
    if (cx <= 0 || cy <= 0)
        return FALSE;
    void* pvBits = NULL;
    HBITMAP hBitmap = XTColorCreatePictureDib(cx, cy, &pvBits);
    if (hBitmap == NULL || !m_dcPicture.CreateCompatibleDC(NULL))
    {
        TRACE("CXTColorBase: cannot make a %d x %d picture\n", cx, cy);
        if (hBitmap != NULL)
            ::DeleteObject(hBitmap);
        return FALSE;
    }
    m_hPicture = hBitmap;
    m_hOldPicture = (HBITMAP)::SelectObject(m_dcPicture.m_hDC, hBitmap);
    m_sizePicture = CSize(cx, cy);
    *ppBits = (DWORD*)pvBits;
    return TRUE;
}

COLORREF CXTColorBase::GetPictureColor(int x, int y)
{
    if (!EnsurePicture() || x < 0 || y < 0 || x >= m_sizePicture.cx || y >= m_sizePicture.cy)
        return CLR_INVALID;
    DIBSECTION ds = {};
    if (::GetObject(m_hPicture, sizeof(ds), &ds) != sizeof(ds) || ds.dsBm.bmBits == NULL)
        return CLR_INVALID;
    ::GdiFlush();
    return FromPixel(((const DWORD*)ds.dsBm.bmBits)[(size_t)y * m_sizePicture.cx + x]);
}

BOOL CXTColorBase::PreCreateWindow(CREATESTRUCT& cs)
{
    m_bPreSubclassInit = FALSE;
    return CStatic::PreCreateWindow(cs);
}

void CXTColorBase::PreSubclassWindow()
{
    CStatic::PreSubclassWindow();
    if (m_bPreSubclassInit)
        SetNotify();
}

int CXTColorBase::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CStatic::OnCreate(lpCreateStruct) == -1)
        return -1;
    SetNotify();
    return 0;
}

BOOL CXTColorBase::SetNotify()
{
    if (m_hWnd == NULL)
        return FALSE;
    ModifyStyle(0, SS_NOTIFY);
    return TRUE;
}

void CXTColorBase::SetColor(COLORREF clr, BOOL)
{
    m_clrColor = clr;
    RGBtoHSL(clr, m_dHue, m_dSat, m_dLum);
    if (m_hWnd != NULL)
        Invalidate();
}

void CXTColorBase::UpdateColor(int x, int y, BOOL bNotify)
{
    const COLORREF clr = GetPictureColor(x, y);
    if (clr != CLR_INVALID)
    {
        m_clrColor = clr;
        if (bNotify && m_hWnd != NULL)
        {
            if (CWnd* pParent = GetParent())
                pParent->SendMessage(WM_XT_UPDATECOLOR, (WPARAM)clr, 0);
        }
    }
    m_ptMarker = CPoint(x, y);
}

BOOL CXTColorBase::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CXTColorBase::OnSetFocus(CWnd* pOldWnd)
{
    CStatic::OnSetFocus(pOldWnd);
    s_nFocus = FocusId();
    Invalidate(FALSE);
}

void CXTColorBase::OnKillFocus(CWnd* pNewWnd)
{
    CStatic::OnKillFocus(pNewWnd);
    s_nFocus = focusNone;
    Invalidate(FALSE);
}

void CXTColorBase::OnLButtonDown(UINT nFlags, CPoint point)
{
    SetCapture();
    const CPoint pt = PickPoint(point);
    UpdateColor(pt.x, pt.y, TRUE);
    SetFocus();
    CStatic::OnLButtonDown(nFlags, point);
}

void CXTColorBase::OnMouseMove(UINT nFlags, CPoint point)
{
    if (nFlags & MK_LBUTTON)
    {
        const CPoint pt = PickPoint(point);
        UpdateColor(pt.x, pt.y, TRUE);
        if (::GetFocus() != m_hWnd)
            SetFocus();
    }
    CStatic::OnMouseMove(nFlags, point);
}

void CXTColorBase::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    CStatic::OnLButtonUp(nFlags, point);
}

void CXTColorBase::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    const CPoint pt = PickPoint(point);
    UpdateColor(pt.x, pt.y, TRUE);
    EndDialogOK();
}

UINT CXTColorBase::OnGetDlgCode()
{
    return DLGC_WANTARROWS;
}

void CXTColorBase::EndDialogOK()
{
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    XTColorPickerEndDialog(this);
}

/////////////////////////////////////////////////////////////////////////////
// CXTColorWnd

IMPLEMENT_DYNAMIC(CXTColorWnd, CXTColorBase)

BEGIN_MESSAGE_MAP(CXTColorWnd, CXTColorBase)
    ON_WM_PAINT()
    ON_WM_PRINTCLIENT()
END_MESSAGE_MAP()

CXTColorWnd::CXTColorWnd()
{
}

BOOL CXTColorWnd::EnsurePicture()
{
    if (m_hWnd == NULL)
        return FALSE;
    CRect rcClient;
    GetClientRect(&rcClient);
    const int w = rcClient.Width(), h = rcClient.Height();
    if (m_hPicture != NULL && m_sizePicture == CSize(w, h))
        return TRUE;
    DWORD* pBits = NULL;
    if (!CreatePicture(w, h, &pBits))
        return FALSE;
    // Hue from left to right, saturation from 0 at the bottom to 1 at the
    // top, at luminance 0.5: computed once per window.
    for (int y = 0; y < h; y++)
    {
        DWORD* pRow = pBits + (size_t)(h - 1 - y) * w;
        const double dSat = (double)y / h;
        for (int x = 0; x < w; x++)
            pRow[x] = ToPixel(HLStoRGB((double)x / w, 0.5, dSat));
    }
    return TRUE;
}

CPoint CXTColorWnd::PickPoint(CPoint point)
{
    CRect rcClient;
    GetClientRect(&rcClient);
    point.x = point.x < 0 ? 0 : point.x >= rcClient.right ? rcClient.right - 1 : point.x;
    point.y = point.y < 0 ? 0 : point.y >= rcClient.bottom ? rcClient.bottom - 1 : point.y;
    return point;
}

void CXTColorWnd::SetColor(COLORREF clr, BOOL bUpdatePos)
{
    CXTColorBase::SetColor(clr, bUpdatePos);
    if (bUpdatePos && m_hWnd != NULL)
    {
        CRect rcClient;
        GetClientRect(&rcClient);
        m_ptMarker.x = OnPicture((int)(rcClient.Width() * m_dHue), rcClient.Width());
        m_ptMarker.y = OnPicture(rcClient.Height() - (int)(rcClient.Height() * m_dSat), rcClient.Height());
    }
}

void CXTColorWnd::UpdateColor(int x, int y, BOOL bNotify)
{
    CXTColorBase::UpdateColor(x, y, bNotify);
    if (m_hWnd != NULL)
        Invalidate(FALSE);
}

void CXTColorWnd::SetHue(double dHue)
{
    m_dHue = dHue;
    CRect rcClient(0, 0, 0, 0);
    if (m_hWnd != NULL)
        GetClientRect(&rcClient);
    UpdateColor(OnPicture((int)(rcClient.Width() * dHue), rcClient.Width()), m_ptMarker.y, FALSE);
}

void CXTColorWnd::SetSaturation(double dSat)
{
    m_dSat = dSat;
    CRect rcClient(0, 0, 0, 0);
    if (m_hWnd != NULL)
        GetClientRect(&rcClient);
    UpdateColor(m_ptMarker.x, OnPicture(rcClient.Height() - (int)(rcClient.Height() * dSat), rcClient.Height()),
                FALSE);
}

void CXTColorWnd::DrawMarker(CDC* pDC)
{
    CPen pen(PS_SOLID, 1, s_nFocus == focusSpectrum ? RGB(255, 255, 255) : RGB(0, 0, 0));
    CPen* pOldPen = pDC->SelectObject(&pen);
    const int x = m_ptMarker.x, y = m_ptMarker.y;
    // Four arms of three lines each round a 9-pixel gap.
    for (int d = -1; d <= 1; d++)
    {
        pDC->MoveTo(x - 5, y + d);
        pDC->LineTo(x - 10, y + d);
        pDC->MoveTo(x + 5, y + d);
        pDC->LineTo(x + 10, y + d);
        pDC->MoveTo(x + d, y - 5);
        pDC->LineTo(x + d, y - 10);
        pDC->MoveTo(x + d, y + 5);
        pDC->LineTo(x + d, y + 10);
    }
    pDC->SelectObject(pOldPen);
}

void CXTColorWnd::DrawPicture(CDC* pDC)
{
    CXTColorPaintBuffer buffer(this, pDC);
    if (!buffer.IsReady())
        return;
    CDC& dcMem = *buffer.GetDC();
    dcMem.FillSolidRect(buffer.GetClientRect(), GetXTPSysColor(COLOR_3DFACE));
    if (EnsurePicture())
        dcMem.BitBlt(0, 0, m_sizePicture.cx, m_sizePicture.cy, &m_dcPicture, 0, 0, SRCCOPY);
    DrawMarker(&dcMem);
}

void CXTColorWnd::OnPaint()
{
    CPaintDC dc(this);
    DrawPicture(&dc);
}

void CXTColorWnd::OnPrintClient(CDC* pDC, UINT)
{
    DrawPicture(pDC);
}

BOOL CXTColorWnd::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && pMsg->hwnd == m_hWnd && s_nFocus == focusSpectrum)
    {
        CRect rcClient;
        GetClientRect(&rcClient);
        CPoint pt = m_ptMarker;
        switch (pMsg->wParam)
        {
        case VK_RETURN:
        case VK_SPACE:
            EndDialogOK();
            return TRUE;
        case VK_LEFT:
            pt.x = pt.x - 1 < 0 ? 0 : pt.x - 1;
            break;
        case VK_RIGHT:
            pt.x = OnPicture(pt.x + 1, rcClient.right);
            break;
        case VK_UP:
            pt.y = pt.y - 1 < 0 ? 0 : pt.y - 1;
            break;
        case VK_DOWN:
            pt.y = OnPicture(pt.y + 1, rcClient.bottom);
            break;
        default:
            return CXTColorBase::PreTranslateMessage(pMsg);
        }
        UpdateColor(pt.x, pt.y, TRUE);
        return TRUE;
    }
    return CXTColorBase::PreTranslateMessage(pMsg);
}

/////////////////////////////////////////////////////////////////////////////
// CXTColorLum

IMPLEMENT_DYNAMIC(CXTColorLum, CXTColorBase)

BEGIN_MESSAGE_MAP(CXTColorLum, CXTColorBase)
    ON_WM_PAINT()
    ON_WM_PRINTCLIENT()
END_MESSAGE_MAP()

CXTColorLum::CXTColorLum() : m_nArrowY(0), m_dBarHue(-1), m_dBarSat(-1)
{
}

CRect CXTColorLum::GetBarRect()
{
    CRect rcClient(0, 0, 0, 0);
    if (m_hWnd != NULL)
        GetClientRect(&rcClient);
    return CRect(rcClient.left, rcClient.top + 4, rcClient.left + 14, rcClient.bottom - 4);
}

BOOL CXTColorLum::BuildBar()
{
    const CRect rcBar = GetBarRect();
    const int cx = rcBar.Width(), cy = rcBar.Height();
    DWORD* pBits = NULL;
    if (cx <= 0 || cy <= 0 || !CreatePicture(cx, cy, &pBits))
        return FALSE;
    // One fill per row: black at the bottom row, white at the top one.
    const int nBlackRows = IsWin98() ? 1 : 3;
    for (int j = 0; j < cy; j++)
    {
        const double dLum = cy > 1 ? (double)(cy - 1 - j) / (cy - 1) : 0.0;
        const DWORD dwPixel = j >= cy - nBlackRows ? 0 : ToPixel(HLStoRGB(m_dHue, dLum, m_dSat));
        DWORD* pRow = pBits + (size_t)j * cx;
        for (int x = 0; x < cx; x++)
            pRow[x] = dwPixel;
    }
    m_dBarHue = m_dHue;
    m_dBarSat = m_dSat;
    return TRUE;
}

BOOL CXTColorLum::EnsurePicture()
{
    if (m_hWnd == NULL)
        return FALSE;
    const CRect rcBar = GetBarRect();
    if (m_hPicture != NULL && m_sizePicture == rcBar.Size() && m_dBarHue == m_dHue && m_dBarSat == m_dSat)
        return TRUE;
    return BuildBar();
}

CPoint CXTColorLum::PickPoint(CPoint point)
{
    // Window rows to bar rows: the arrow points at the row picked.
    const CRect rcBar = GetBarRect();
    int y = point.y - rcBar.top;
    y = y < 0 ? 0 : y >= rcBar.Height() ? rcBar.Height() - 1 : y;
    return CPoint(0, y);
}

void CXTColorLum::SetColor(COLORREF clr, BOOL bUpdatePos)
{
    CXTColorBase::SetColor(clr, bUpdatePos);
    if (bUpdatePos)
    {
        const CRect rcBar = GetBarRect();
        const int y = OnPicture(rcBar.bottom - (int)(rcBar.Height() * m_dLum) - rcBar.top, rcBar.Height());
        m_ptMarker.y = m_nArrowY = y;
    }
}

void CXTColorLum::SetLuminance(double dLum)
{
    m_dLum = dLum;
    const CRect rcBar = GetBarRect();
    const int y = OnPicture(rcBar.bottom - (int)(rcBar.Height() * dLum) - rcBar.top, rcBar.Height());
    m_ptMarker.y = m_nArrowY = y;
    UpdateColor(m_ptMarker.x, y, FALSE);
}

void CXTColorLum::UpdateColor(int x, int y, BOOL bNotify)
{
    CXTColorBase::UpdateColor(0, y, bNotify);
    (void)x;
    m_ptMarker = CPoint(0, y);
    m_nArrowY = y;
    if (m_hWnd != NULL)
        Invalidate(FALSE);
}

void CXTColorLum::DrawArrow(CDC* pDC)
{
    CRect rcClient;
    GetClientRect(&rcClient);
    const CRect rcBar = GetBarRect();
    int t = m_nArrowY + rcBar.top;
    if (t > rcBar.bottom - 1)
        t = rcBar.bottom - 1;
    static const int kLeft[9] = {24, 22, 20, 18, 17, 19, 21, 23, 25};
    const int xRight = rcClient.left + 25;
    const BOOL bFocus = s_nFocus == focusLuminance;
    const COLORREF clrFill = bFocus ? RGB(0, 0, 0) : GetXTPSysColor(COLOR_BTNSHADOW);
    for (int i = 0; i < 9; i++)
    {
        const int y = t - 4 + i;
        const int xLeft = rcClient.left + kLeft[i];
        pDC->FillSolidRect(xLeft, y, xRight - xLeft + 1, 1, clrFill);
        if (!bFocus)
        {
            // The outline: each row's left end and the right column.
            pDC->SetPixelV(xLeft, y, RGB(0, 0, 0));
            pDC->SetPixelV(xRight, y, RGB(0, 0, 0));
        }
    }
    if (!bFocus)
    {
        // The slanted edges join up between the rows' ends.
        for (int i = 0; i + 1 < 9; i++)
        {
            const int y = t - 4 + i;
            const int x0 = rcClient.left + kLeft[i], x1 = rcClient.left + kLeft[i + 1];
            for (int x = (x0 < x1 ? x0 : x1) + 1; x < (x0 < x1 ? x1 : x0); x++)
                pDC->SetPixelV(x, i < 4 ? y + 1 : y, RGB(0, 0, 0));
        }
    }
}

void CXTColorLum::DrawPicture(CDC* pDC)
{
    CXTColorPaintBuffer buffer(this, pDC);
    if (!buffer.IsReady())
        return;
    CDC& dcMem = *buffer.GetDC();
    const CRect& rcClient = buffer.GetClientRect();
    HBRUSH hBrush = NULL;
    if (CWnd* pParent = GetParent())
        hBrush = (HBRUSH)pParent->SendMessage(WM_CTLCOLORSTATIC, (WPARAM)dcMem.m_hDC, (LPARAM)m_hWnd);
    if (hBrush != NULL)
        ::FillRect(dcMem.m_hDC, &rcClient, hBrush);
    else
        dcMem.FillSolidRect(rcClient, GetXTPSysColor(COLOR_3DFACE));
    // The bar depends on the hue and saturation: rebuilt on every paint.
    const CRect rcBar = GetBarRect();
    if (BuildBar())
        dcMem.BitBlt(rcBar.left, rcBar.top, rcBar.Width(), rcBar.Height(), &m_dcPicture, 0, 0, SRCCOPY);
    DrawArrow(&dcMem);
}

void CXTColorLum::OnPaint()
{
    CPaintDC dc(this);
    DrawPicture(&dc);
}

void CXTColorLum::OnPrintClient(CDC* pDC, UINT)
{
    DrawPicture(pDC);
}

BOOL CXTColorLum::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && pMsg->hwnd == m_hWnd && s_nFocus == focusLuminance)
    {
        const int nBottom = GetBarRect().Height() - 1;
        int y = m_ptMarker.y;
        switch (pMsg->wParam)
        {
        case VK_RETURN:
        case VK_SPACE:
            EndDialogOK();
            return TRUE;
        case VK_UP:
            y = y - 1 < 0 ? 0 : y - 1;
            break;
        case VK_DOWN:
            y = y + 1 > nBottom ? nBottom : y + 1;
            break;
        default:
            return CXTColorBase::PreTranslateMessage(pMsg);
        }
        UpdateColor(m_ptMarker.x, y, TRUE);
        return TRUE;
    }
    return CXTColorBase::PreTranslateMessage(pMsg);
}

/////////////////////////////////////////////////////////////////////////////
// CXTColorPageCustom

IMPLEMENT_DYNAMIC(CXTColorPageCustom, CPropertyPage)

BEGIN_MESSAGE_MAP(CXTColorPageCustom, CPropertyPage)
    ON_EN_CHANGE(XT_IDC_EDIT_LUM, OnChangeEditLum)
    ON_EN_CHANGE(XT_IDC_EDIT_HUE, OnChangeEditHue)
    ON_EN_CHANGE(XT_IDC_EDIT_SAT, OnChangeEditSat)
    ON_EN_CHANGE(XT_IDC_EDIT_RED, OnChangeEditRGB)
    ON_EN_CHANGE(XT_IDC_EDIT_GREEN, OnChangeEditRGB)
    ON_EN_CHANGE(XT_IDC_EDIT_BLUE, OnChangeEditRGB)
    ON_MESSAGE(WM_XT_UPDATECOLOR, OnUpdateColor)
END_MESSAGE_MAP()

CXTColorPageCustom::CXTColorPageCustom(CXTColorDialog* pParentSheet)
    : CPropertyPage(XT_IDD_COLORCUSTOM), m_nR(0), m_nB(0), m_nG(0), m_nH(0), m_nL(0), m_nS(0),
      m_pParentSheet(pParentSheet), m_bWritingFields(FALSE)
{
    m_psp.dwFlags &= ~PSP_HASHELP;
}

CXTColorPageCustom::~CXTColorPageCustom()
{
}

void CXTColorPageCustom::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, XT_IDC_CLR_WND, m_colorWnd);
    DDX_Control(pDX, XT_IDC_CLR_LUM, m_colorLum);
    DDX_Control(pDX, XT_IDC_TXT_HUE, m_txtHue);
    DDX_Control(pDX, XT_IDC_TXT_SAT, m_txtSat);
    DDX_Control(pDX, XT_IDC_TXT_LUM, m_txtLum);
    DDX_Control(pDX, XT_IDC_TXT_RED, m_txtRed);
    DDX_Control(pDX, XT_IDC_TXT_GREEN, m_txtGreen);
    DDX_Control(pDX, XT_IDC_TXT_BLUE, m_txtBlue);
    DDX_Control(pDX, XT_IDC_SPIN_HUE, m_spinHue);
    DDX_Control(pDX, XT_IDC_SPIN_SAT, m_spinSat);
    DDX_Control(pDX, XT_IDC_SPIN_LUM, m_spinLum);
    DDX_Control(pDX, XT_IDC_SPIN_RED, m_spinRed);
    DDX_Control(pDX, XT_IDC_SPIN_GREEN, m_spinGreen);
    DDX_Control(pDX, XT_IDC_SPIN_BLUE, m_spinBlue);
    DDX_Control(pDX, XT_IDC_EDIT_HUE, m_editHue);
    DDX_Control(pDX, XT_IDC_EDIT_SAT, m_editSat);
    DDX_Control(pDX, XT_IDC_EDIT_LUM, m_editLum);
    DDX_Control(pDX, XT_IDC_EDIT_RED, m_editRed);
    DDX_Control(pDX, XT_IDC_EDIT_GREEN, m_editGreen);
    DDX_Control(pDX, XT_IDC_EDIT_BLUE, m_editBlue);
    DDX_Text(pDX, XT_IDC_EDIT_RED, m_nR);
    DDV_MinMaxInt(pDX, m_nR, 0, 255);
    DDX_Text(pDX, XT_IDC_EDIT_BLUE, m_nB);
    DDV_MinMaxInt(pDX, m_nB, 0, 255);
    DDX_Text(pDX, XT_IDC_EDIT_GREEN, m_nG);
    DDV_MinMaxInt(pDX, m_nG, 0, 255);
    DDX_Text(pDX, XT_IDC_EDIT_HUE, m_nH);
    DDV_MinMaxInt(pDX, m_nH, 0, 255);
    DDX_Text(pDX, XT_IDC_EDIT_LUM, m_nL);
    DDV_MinMaxInt(pDX, m_nL, 0, 255);
    DDX_Text(pDX, XT_IDC_EDIT_SAT, m_nS);
    DDV_MinMaxInt(pDX, m_nS, 0, 255);
}

BOOL CXTColorPageCustom::OnInitDialog()
{
    // The first transfer writes every field: none of that is a user's edit.
    m_bWritingFields = TRUE;
    BOOL bResult = CPropertyPage::OnInitDialog();
    CSpinButtonCtrl* pSpins[6] = {&m_spinHue, &m_spinSat, &m_spinLum, &m_spinRed, &m_spinGreen, &m_spinBlue};
    CEdit* pEdits[6] = {&m_editHue, &m_editSat, &m_editLum, &m_editRed, &m_editGreen, &m_editBlue};
    for (int i = 0; i < 6; i++)
    {
        // A value 0-255 never needs more than three characters; a longer
        // paste would be read again and again by every later change.
        if (pEdits[i]->m_hWnd != NULL)
            pEdits[i]->LimitText(3);
        if (pSpins[i]->m_hWnd == NULL)
            continue;
        pSpins[i]->SetBuddy(pEdits[i]);
        pSpins[i]->SetRange(0, 255);
    }
    m_bWritingFields = FALSE;
    return bResult;
}

BOOL CXTColorPageCustom::ReadFields()
{
    // The page's own writes re-fire EN_CHANGE on the other fields: ignored.
    if (m_bWritingFields)
        return FALSE;
    // A refused value (the validation has said why) changes nothing.
    return UpdateData(TRUE);
}

void CXTColorPageCustom::WriteFields()
{
    const BOOL bWasWriting = m_bWritingFields;
    m_bWritingFields = TRUE;
    UpdateData(FALSE);
    m_bWritingFields = bWasWriting;
}

void CXTColorPageCustom::SetRGBFields(COLORREF clr)
{
    m_nR = GetRValue(clr);
    m_nG = GetGValue(clr);
    m_nB = GetBValue(clr);
}

void CXTColorPageCustom::SetHSLFields(COLORREF clr)
{
    RGBtoHSL(clr, m_nL, m_nS, m_nH);
}

void CXTColorPageCustom::TellDialog(COLORREF clr)
{
    if (m_pParentSheet != NULL && m_pParentSheet->GetColor() != clr)
        m_pParentSheet->SetNewColor(clr, FALSE);
}

void CXTColorPageCustom::HSLFieldChanged(CXTColorBase& changed, CXTColorBase& other)
{
    const COLORREF clr = changed.GetColor();
    if (other.GetColor() != clr)
        other.SetColor(clr, FALSE);
    TellDialog(clr);
    SetRGBFields(clr);
    WriteFields();
}

void CXTColorPageCustom::OnChangeEditLum()
{
    if (!ReadFields())
        return;
    m_colorLum.SetLuminance(m_nL / 255.0);
    HSLFieldChanged(m_colorLum, m_colorWnd);
}

void CXTColorPageCustom::OnChangeEditHue()
{
    if (!ReadFields())
        return;
    m_colorWnd.SetHue(m_nH / 255.0);
    HSLFieldChanged(m_colorWnd, m_colorLum);
}

void CXTColorPageCustom::OnChangeEditSat()
{
    if (!ReadFields())
        return;
    m_colorWnd.SetSaturation(m_nS / 255.0);
    HSLFieldChanged(m_colorWnd, m_colorLum);
}

void CXTColorPageCustom::OnChangeEditRGB()
{
    if (!ReadFields())
        return;
    const COLORREF clr = RGB(m_nR, m_nG, m_nB);
    if (m_colorWnd.GetColor() != clr)
        m_colorWnd.SetColor(clr, TRUE);
    ColorChanged(clr);
}

void CXTColorPageCustom::ColorChanged(COLORREF clr)
{
    if (m_colorWnd.GetColor() != clr)
        m_colorWnd.SetColor(clr, FALSE);
    if (m_colorLum.GetColor() != clr)
        m_colorLum.SetColor(clr, TRUE);
    TellDialog(clr);
    SetRGBFields(clr);
    SetHSLFields(clr);
    WriteFields();
}

LRESULT CXTColorPageCustom::OnUpdateColor(WPARAM wParam, LPARAM)
{
    ColorChanged((COLORREF)wParam);
    return 0;
}

BOOL CXTColorPageCustom::OnSetActive()
{
    const COLORREF clr = m_pParentSheet != NULL ? m_pParentSheet->GetColor() : m_colorWnd.GetColor();
    m_colorWnd.SetColor(clr, TRUE);
    m_colorLum.SetColor(clr, TRUE);
    SetRGBFields(clr);
    SetHSLFields(clr);
    WriteFields();
    const BOOL bWasWriting = m_bWritingFields;
    m_bWritingFields = TRUE;
    const BOOL bResult = CPropertyPage::OnSetActive();
    m_bWritingFields = bWasWriting;
    return bResult;
}
