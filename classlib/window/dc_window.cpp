// DCs of windows: CPaintDC, CClientDC, CWindowDC, and the CDC members that
// need a window.
#include <afxwin.h>

IMPLEMENT_DYNAMIC(CPaintDC, CDC)
IMPLEMENT_DYNAMIC(CClientDC, CDC)
IMPLEMENT_DYNAMIC(CWindowDC, CDC)

CWnd* CDC::GetWindow() const
{
    if (m_hDC == NULL)
        return NULL;
    return CWnd::FromHandle(::WindowFromDC(m_hDC));
}

int CDC::ExcludeUpdateRgn(CWnd* pWnd)
{
    if (pWnd == NULL || pWnd->GetSafeHwnd() == NULL)
        return ERROR;
    return ::ExcludeUpdateRgn(m_hDC, pWnd->m_hWnd);
}

// ---------------------------------------------------------------------------
// CPaintDC

CPaintDC::CPaintDC(CWnd* pWnd) : m_hWnd(pWnd->GetSafeHwnd())
{
    memset(&m_ps, 0, sizeof(m_ps));
    HDC hDC = m_hWnd != NULL ? ::BeginPaint(m_hWnd, &m_ps) : NULL;
    if (hDC == NULL || !Attach(hDC))
    {
        if (m_hWnd != NULL)
            ::EndPaint(m_hWnd, &m_ps);
        AfxThrowResourceException();
    }
}

CPaintDC::~CPaintDC()
{
    // EndPaint frees the DC: it must not be deleted.
    Detach();
    ::EndPaint(m_hWnd, &m_ps);
}

// ---------------------------------------------------------------------------
// CClientDC

CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(pWnd->GetSafeHwnd())
{
    HDC hDC = ::GetDC(m_hWnd);
    if (hDC == NULL || !Attach(hDC))
        AfxThrowResourceException();
}

CClientDC::~CClientDC()
{
    ::ReleaseDC(m_hWnd, Detach());
}

// ---------------------------------------------------------------------------
// CWindowDC

CWindowDC::CWindowDC(CWnd* pWnd) : m_hWnd(pWnd->GetSafeHwnd())
{
    HDC hDC = ::GetWindowDC(m_hWnd);
    if (hDC == NULL || !Attach(hDC))
        AfxThrowResourceException();
}

CWindowDC::~CWindowDC()
{
    ::ReleaseDC(m_hWnd, Detach());
}
