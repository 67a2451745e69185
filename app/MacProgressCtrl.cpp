// The shaded progress bar.
#include "MacProgressCtrl.h"

#include <initializer_list>

namespace
{
const int kShadeStep = 51;

int FloorHalf(int n)
{
    return n >= 0 ? n / 2 : -((-n + 1) / 2);
}

// A line from the first point to the last through the others; the last
// point itself is not painted.
void DrawPolyline(CDC* pDC, std::initializer_list<POINT> points)
{
    const POINT* p = points.begin();
    pDC->MoveTo(p->x, p->y);
    for (++p; p != points.end(); ++p)
        pDC->LineTo(p->x, p->y);
}

void Line(CDC* pDC, int x1, int y1, int x2, int y2)
{
    pDC->MoveTo(x1, y1);
    pDC->LineTo(x2, y2);
}
} // namespace

IMPLEMENT_DYNAMIC(CMacProgressCtrl, CProgressCtrl)

BEGIN_MESSAGE_MAP(CMacProgressCtrl, CProgressCtrl)
    ON_WM_PAINT()
    ON_WM_PRINTCLIENT()
    ON_WM_TIMER()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CMacProgressCtrl::CMacProgressCtrl()
    : m_nIndOffset(0), m_bIndeterminate(FALSE), m_crColor(::GetSysColor(COLOR_HIGHLIGHT)), m_crColorLight(0),
      m_crColorLighter(0), m_crColorLightest(0), m_crColorDark(0), m_crColorDarker(0), m_crDkShadow(0),
      m_crMidShadow(0), m_crShadow(0)
{
    ComputeShades();
    CreatePens();
}

CMacProgressCtrl::~CMacProgressCtrl()
{
    DeletePens();
}

COLORREF AFX_CDECL CMacProgressCtrl::LighterColor(COLORREF clr)
{
    int rgb[3] = {GetRValue(clr), GetGValue(clr), GetBValue(clr)};
    for (int& c : rgb)
    {
        if (c + kShadeStep <= 255)
            c += kShadeStep;
    }
    return RGB(rgb[0], rgb[1], rgb[2]);
}

COLORREF AFX_CDECL CMacProgressCtrl::DarkerColor(COLORREF clr)
{
    int rgb[3] = {GetRValue(clr), GetGValue(clr), GetBValue(clr)};
    for (int& c : rgb)
    {
        if (c >= kShadeStep)
            c -= kShadeStep;
    }
    return RGB(rgb[0], rgb[1], rgb[2]);
}

COLORREF AFX_CDECL CMacProgressCtrl::MidColor(COLORREF clrA, COLORREF clrB)
{
    return RGB(GetRValue(clrA) + FloorHalf((int)GetRValue(clrB) - (int)GetRValue(clrA)),
               GetGValue(clrA) + FloorHalf((int)GetGValue(clrB) - (int)GetGValue(clrA)),
               GetBValue(clrA) + FloorHalf((int)GetBValue(clrB) - (int)GetBValue(clrA)));
}

void CMacProgressCtrl::ComputeShades()
{
    m_crColorLight = LighterColor(m_crColor);
    m_crColorLighter = LighterColor(m_crColorLight);
    m_crColorLightest = LighterColor(m_crColorLighter);
    m_crColorDark = DarkerColor(m_crColor);
    m_crColorDarker = DarkerColor(m_crColorDark);
    m_crDkShadow = ::GetSysColor(COLOR_3DDKSHADOW);
    m_crShadow = ::GetSysColor(COLOR_3DSHADOW);
    m_crMidShadow = MidColor(m_crShadow, m_crDkShadow);
}

void CMacProgressCtrl::DeletePens()
{
    CPen* pens[] = {&m_penColor, &m_penColorLight, &m_penColorLighter, &m_penColorDark,
                    &m_penColorDarker, &m_penDkShadow, &m_penMidShadow, &m_penShadow};
    for (CPen* pPen : pens)
    {
        if (pPen->GetSafeHandle() != NULL)
            pPen->DeleteObject();
    }
}

void CMacProgressCtrl::CreatePens()
{
    DeletePens();
    m_penColorLight.CreatePen(PS_SOLID, 1, m_crColorLight);
    m_penColorLighter.CreatePen(PS_SOLID, 1, m_crColorLighter);
    m_penColor.CreatePen(PS_SOLID, 1, m_crColor);
    m_penColorDark.CreatePen(PS_SOLID, 1, m_crColorDark);
    m_penColorDarker.CreatePen(PS_SOLID, 1, m_crColorDarker);
    m_penDkShadow.CreatePen(PS_SOLID, 1, m_crDkShadow);
    m_penMidShadow.CreatePen(PS_SOLID, 1, m_crMidShadow);
    m_penShadow.CreatePen(PS_SOLID, 1, m_crShadow);
}

void CMacProgressCtrl::SetBaseColor(COLORREF clrBase)
{
    m_crColor = clrBase;
    ComputeShades();
    CreatePens();
    if (::IsWindow(m_hWnd))
        Invalidate();
}

void CMacProgressCtrl::StepStripes()
{
    m_nIndOffset++;
    if (m_nIndOffset >= MAC_PROGRESS_STRIPE_PERIOD)
        m_nIndOffset = 0;
}

void CMacProgressCtrl::DrawStripes(CDC* pDC, const CRect& rcBar, BOOL bVertical)
{
    // One ridge per period, brightest in its middle.
    struct StripeLine
    {
        int k;
        CPen* pPen;
    };
    const int nFirst = bVertical ? -1 : 0;
    const StripeLine lines[] = {
        {nFirst + 0, &m_penColorDarker}, {nFirst + 1, &m_penColorDark}, {nFirst + 9, &m_penColorDark},
        {nFirst + 2, &m_penColor},       {nFirst + 8, &m_penColor},     {nFirst + 3, &m_penColorLight},
        {nFirst + 7, &m_penColorLight},  {nFirst + 4, &m_penColorLighter}, {nFirst + 6, &m_penColorLighter},
    };
    CPen* pOldPen = pDC->SelectObject(&m_penColor);
    if (!bVertical)
    {
        const int nHeight = rcBar.bottom - rcBar.top + 1;
        const int nStripes = rcBar.Width() / MAC_PROGRESS_STRIPE_PERIOD + 2;
        int x = rcBar.left + m_nIndOffset - MAC_PROGRESS_STRIPE_PERIOD + nHeight;
        for (int n = 0; n < nStripes; n++, x += MAC_PROGRESS_STRIPE_PERIOD)
        {
            for (const StripeLine& line : lines)
            {
                pDC->SelectObject(line.pPen);
                Line(pDC, x + line.k + 1 - nHeight, rcBar.top, x + line.k, rcBar.bottom);
            }
        }
    }
    else
    {
        const int nWidth = rcBar.right - rcBar.left + 1;
        const int nStripes = rcBar.Height() / MAC_PROGRESS_STRIPE_PERIOD + 2;
        int y = rcBar.bottom - m_nIndOffset + 1;
        for (int n = 0; n < nStripes; n++, y -= MAC_PROGRESS_STRIPE_PERIOD)
        {
            for (const StripeLine& line : lines)
            {
                pDC->SelectObject(line.pPen);
                Line(pDC, rcBar.left, y + line.k, rcBar.right + 1, y + line.k + nWidth);
            }
        }
    }
    pDC->SelectObject(pOldPen);
}

void CMacProgressCtrl::DrawHorizontalBar(CDC* pDC, const CRect& rcBar)
{
    if (rcBar.right == rcBar.left)
        return;
    if (m_bIndeterminate)
    {
        DrawStripes(pDC, rcBar, FALSE);
        return;
    }
    const int L = rcBar.left, T = rcBar.top, R = rcBar.right, B = rcBar.bottom;
    CPen* pOldPen = pDC->SelectObject(&m_penColorLight);
    Line(pDC, L + 2, B - 4, R - 2, B - 4);
    Line(pDC, L + 2, T + 2, R - 2, T + 2);
    pDC->SetPixel(L + 1, B - 3, m_crColorLight);
    pDC->SetPixel(L + 1, T + 1, m_crColorLight);

    pDC->SelectObject(&m_penColorLighter);
    DrawPolyline(pDC, {{L + 2, B - 5}, {R - 3, B - 5}, {R - 3, T + 3}, {L + 1, T + 3}});
    pDC->SetPixel(L + 1, B - 4, m_crColorLighter);
    pDC->SetPixel(L + 1, T + 2, m_crColorLighter);

    pDC->SelectObject(&m_penColor);
    DrawPolyline(pDC, {{L, B - 1}, {L, T}, {L + 2, T}});
    pDC->SetPixel(L + 1, B - 2, m_crColor);
    Line(pDC, L + 2, B - 3, R - 2, B - 3);
    Line(pDC, L + 2, T + 1, R - 1, T + 1);

    pDC->SelectObject(&m_penColorDark);
    DrawPolyline(pDC, {{L + 2, B - 2}, {R - 2, B - 2}, {R - 2, T + 1}});
    Line(pDC, L + 2, T, R, T);
    pDC->SetPixel(L + 1, B - 1, m_crColorDark);

    pDC->SelectObject(&m_penColorDarker);
    DrawPolyline(pDC, {{L + 2, B - 1}, {R - 1, B - 1}, {R - 1, T}});

    pDC->SelectObject(&m_penMidShadow);
    Line(pDC, R, T, R, B);
    pDC->SelectObject(&m_penShadow);
    Line(pDC, R + 1, T, R + 1, B);

    pDC->SelectObject(pOldPen);
}

void CMacProgressCtrl::DrawVerticalBar(CDC* pDC, const CRect& rcBar)
{
    if (rcBar.bottom == rcBar.top)
        return;
    if (m_bIndeterminate)
    {
        DrawStripes(pDC, rcBar, TRUE);
        return;
    }
    const int L = rcBar.left, T = rcBar.top, R = rcBar.right, B = rcBar.bottom;
    if (B - T <= 3)
    {
        CBrush brush(m_crColor);
        CBrush* pOldBrush = pDC->SelectObject(&brush);
        CPen* pOldPen = pDC->SelectObject(&m_penColorDark);
        pDC->Rectangle(L, T, R, B);
        pDC->SelectObject(pOldPen);
        pDC->SelectObject(pOldBrush);
        return;
    }
    CPen* pOldPen = pDC->SelectObject(&m_penColor);
    DrawPolyline(pDC, {{L, T + 1}, {L, T}, {R, T}});
    Line(pDC, L + 1, B - 2, L + 1, T + 1);
    Line(pDC, R - 3, B - 3, R - 3, T + 1);
    pDC->SetPixel(R - 2, T + 1, m_crColor);

    pDC->SelectObject(&m_penColorLight);
    Line(pDC, L + 2, B - 3, L + 2, T + 1);
    Line(pDC, R - 4, B - 3, R - 4, T + 1);
    pDC->SetPixel(L + 1, T + 1, m_crColorLight);
    pDC->SetPixel(R - 3, T + 1, m_crColorLight);

    pDC->SelectObject(&m_penColorLighter);
    Line(pDC, L + 3, B - 3, L + 3, T + 1);
    Line(pDC, R - 5, B - 3, R - 5, T + 1);
    pDC->SetPixel(L + 2, T + 1, m_crColorLighter);
    pDC->SetPixel(R - 4, T + 1, m_crColorLighter);

    pDC->SelectObject(&m_penColorDark);
    Line(pDC, L, B - 1, L, T + 1);
    DrawPolyline(pDC, {{L + 2, B - 2}, {R - 2, B - 2}, {R - 2, T + 1}});
    pDC->SetPixel(R - 1, T + 1, m_crColorDark);

    pDC->SelectObject(&m_penColorDarker);
    DrawPolyline(pDC, {{L + 1, B - 1}, {R - 1, B - 1}, {R - 1, T + 1}});

    pDC->SelectObject(pOldPen);
}

void CMacProgressCtrl::Paint(CDC* pDC, const CRect& rcClient)
{
    CDC dcMem;
    CBitmap bitmap;
    if (rcClient.IsRectEmpty() || !dcMem.CreateCompatibleDC(pDC) ||
        !bitmap.CreateCompatibleBitmap(pDC, rcClient.Width(), rcClient.Height()))
        return;
    CBitmap* pOldBitmap = dcMem.SelectObject(&bitmap);
    dcMem.FillSolidRect(&rcClient, ::GetSysColor(COLOR_BTNFACE));

    const BOOL bVertical = ::IsWindow(m_hWnd) && (GetStyle() & PBS_VERTICAL) != 0;
    CRect rcBar = rcClient;
    if (!m_bIndeterminate)
    {
        int nLower = 0, nUpper = 100;
        int nPos = 0;
        if (::IsWindow(m_hWnd))
        {
            GetRange(nLower, nUpper);
            nPos = GetPos();
        }
        // An empty range has no bar (and no division by zero).
        const double dRange = (double)nUpper - (double)nLower;
        const double dDone = dRange != 0 ? ((double)nPos - (double)nLower) / dRange : 0.0;
        if (!bVertical)
            rcBar.right = rcBar.left + (int)(dDone * rcClient.Width());
        else
            rcBar.top = rcBar.bottom - (int)(dDone * rcClient.Height());
    }
    dcMem.FillSolidRect(&rcBar, m_crColorLightest);
    if (bVertical)
        DrawVerticalBar(&dcMem, rcBar);
    else
        DrawHorizontalBar(&dcMem, rcBar);

    pDC->BitBlt(rcClient.left, rcClient.top, rcClient.Width(), rcClient.Height(), &dcMem, 0, 0, SRCCOPY);
    dcMem.SelectObject(pOldBitmap);
}

void CMacProgressCtrl::OnPaint()
{
    CPaintDC dc(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    Paint(&dc, rcClient);
}

void CMacProgressCtrl::OnPrintClient(CDC* pDC, UINT /*nFlags*/)
{
    CRect rcClient;
    GetClientRect(&rcClient);
    Paint(pDC, rcClient);
}

void CMacProgressCtrl::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != MAC_PROGRESS_TIMER)
    {
        CProgressCtrl::OnTimer(nIDEvent);
        return;
    }
    KillTimer(MAC_PROGRESS_TIMER);
    StepStripes();
    RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    SetTimer(MAC_PROGRESS_TIMER, MAC_PROGRESS_TIMER_MS, NULL);
}

BOOL CMacProgressCtrl::OnEraseBkgnd(CDC* /*pDC*/)
{
    return TRUE;
}
