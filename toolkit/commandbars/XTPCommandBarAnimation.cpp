// The back buffer and redraw fade of a command bar.
#include "XTPCommandBarAnimation.h"

#include "XTPCommandBar.h"
#include "XTPDCHelpers.h"
#include "XTPImageManager.h"
#include "XTPPaintManager.h"

#include <string.h>

//////////////////////////////////////////////////////////////////////////
// CXTPCommandBarAnimation::CAnimateInfo

CXTPCommandBarAnimation::CAnimateInfo::CAnimateInfo(const CRect& rc)
    : m_hbmpNew(NULL), m_pNew(NULL), m_hbmpOld(NULL), m_pOld(NULL), m_rc(rc), m_nStep(1)
{
}

CXTPCommandBarAnimation::CAnimateInfo::~CAnimateInfo()
{
    if (m_hbmpNew != NULL)
        ::DeleteObject(m_hbmpNew);
    if (m_hbmpOld != NULL)
        ::DeleteObject(m_hbmpOld);
}

//////////////////////////////////////////////////////////////////////////
// CXTPCommandBarAnimation

CXTPCommandBarAnimation::CXTPCommandBarAnimation(CXTPCommandBar* pCommandBar)
    : m_pCommandBar(pCommandBar), m_hbmpCache(NULL), m_pCacheBits(NULL), m_szCache(0, 0), m_bFullRepaint(FALSE),
      m_bTimerRunning(FALSE), m_bAnimation(FALSE), m_bDoubleBuffer(FALSE)
{
}

CXTPCommandBarAnimation::~CXTPCommandBarAnimation()
{
    RemoveAllAnimations();
    DeleteBuffer();
}

BOOL CXTPCommandBarAnimation::IsAnimationEnabled() const
{
    if (m_bAnimation)
        return TRUE;
    CXTPPaintManager* pPaintManager = m_pCommandBar != NULL ? m_pCommandBar->GetPaintManager() : NULL;
    return pPaintManager != NULL && pPaintManager->m_bEnableAnimation;
}

HBITMAP CXTPCommandBarAnimation::CreateDib(int cx, int cy, LPDWORD* ppBits)
{
    *ppBits = NULL;
    if (cx <= 0 || cy <= 0)
        return NULL;
    return CXTPImageManager::Create32BitDIBSection(NULL, cx, -cy, (LPBYTE*)ppBits);   // top-down
}

CSize CXTPCommandBarAnimation::GetClientSize() const
{
    CRect rc(0, 0, 0, 0);
    if (m_pCommandBar != NULL && m_pCommandBar->GetSafeHwnd() != NULL)
        ::GetClientRect(m_pCommandBar->GetSafeHwnd(), &rc);
    return rc.Size();
}

void CXTPCommandBarAnimation::DeleteBuffer()
{
    if (m_hbmpCache != NULL)
        ::DeleteObject(m_hbmpCache);
    m_hbmpCache = NULL;
    m_pCacheBits = NULL;
    m_szCache = CSize(0, 0);
}

void CXTPCommandBarAnimation::StopTimer()
{
    if (m_bTimerRunning && m_pCommandBar != NULL && m_pCommandBar->GetSafeHwnd() != NULL)
        ::KillTimer(m_pCommandBar->GetSafeHwnd(), nTimerId);
    m_bTimerRunning = FALSE;
}

void CXTPCommandBarAnimation::RemoveAllAnimations()
{
    for (INT_PTR i = 0; i < m_arrAnimate.GetSize(); i++)
        delete m_arrAnimate[i];
    m_arrAnimate.RemoveAll();
    StopTimer();
}

void CXTPCommandBarAnimation::OnDestroy()
{
    RemoveAllAnimations();
    DeleteBuffer();
}

void CXTPCommandBarAnimation::PaintBar(CDC* pDC, const CRect& rcClip)
{
    int nSaved = pDC->SaveDC();
    pDC->IntersectClipRect(&rcClip);
    m_pCommandBar->DrawCommandBar(pDC, rcClip);
    pDC->RestoreDC(nSaved);
}

void CXTPCommandBarAnimation::RedrawRect(LPCRECT lpRect, BOOL bAnimate)
{
    HWND hWnd = m_pCommandBar != NULL ? m_pCommandBar->GetSafeHwnd() : NULL;
    if (hWnd == NULL)
        return;

    if (lpRect == NULL)
    {
        DeleteBuffer();
        m_bFullRepaint = TRUE;
        ::InvalidateRect(hWnd, NULL, FALSE);
        return;
    }

    // Only what lies in the client area can be redrawn.
    CSize szClient = GetClientSize();
    CRect rc;
    if (!rc.IntersectRect(lpRect, CRect(CPoint(0, 0), szClient)))
        return;

    if (m_hbmpCache == NULL || m_szCache != szClient || !IsAnimationEnabled())
    {
        m_bFullRepaint = TRUE;
        ::InvalidateRect(hWnd, &rc, FALSE);
        return;
    }

    // The bar as it looks now, in a picture of the client size.
    LPDWORD pBits = NULL;
    HBITMAP hbmpNow = CreateDib(szClient.cx, szClient.cy, &pBits);
    if (hbmpNow == NULL)
    {
        m_bFullRepaint = TRUE;
        ::InvalidateRect(hWnd, &rc, FALSE);
        return;
    }

    CClientDC dcWindow(m_pCommandBar);
    CDC dcNow;
    dcNow.CreateCompatibleDC(&dcWindow);
    HGDIOBJ hOldNow = ::SelectObject(dcNow.GetSafeHdc(), hbmpNow);
    PaintBar(&dcNow, rc);
    ::GdiFlush();

    if (!bAnimate)
    {
        // Fades wholly under the new drawing end; the others leave it alone.
        for (INT_PTR i = m_arrAnimate.GetSize() - 1; i >= 0; i--)
        {
            CAnimateInfo* pInfo = m_arrAnimate[i];
            CRect rcInter;
            if (rc.left <= pInfo->m_rc.left && rc.top <= pInfo->m_rc.top && rc.right >= pInfo->m_rc.right &&
                rc.bottom >= pInfo->m_rc.bottom)
            {
                delete pInfo;
                m_arrAnimate.RemoveAt(i);
            }
            else if (rcInter.IntersectRect(&rc, &pInfo->m_rc))
            {
                pInfo->m_arrExclude.Add(rc);
            }
        }
        if (m_arrAnimate.GetSize() == 0)
            StopTimer();

        dcWindow.BitBlt(rc.left, rc.top, rc.Width(), rc.Height(), &dcNow, rc.left, rc.top, SRCCOPY);
        CDC dcCache;
        dcCache.CreateCompatibleDC(&dcWindow);
        HGDIOBJ hOldCache = ::SelectObject(dcCache.GetSafeHdc(), m_hbmpCache);
        dcCache.BitBlt(rc.left, rc.top, rc.Width(), rc.Height(), &dcNow, rc.left, rc.top, SRCCOPY);
        ::SelectObject(dcCache.GetSafeHdc(), hOldCache);
    }
    else
    {
        CAnimateInfo* pInfo = new CAnimateInfo(rc);
        pInfo->m_hbmpNew = CreateDib(rc.Width(), rc.Height(), &pInfo->m_pNew);
        pInfo->m_hbmpOld = CreateDib(rc.Width(), rc.Height(), &pInfo->m_pOld);
        if (pInfo->m_hbmpNew == NULL || pInfo->m_hbmpOld == NULL)
        {
            delete pInfo;
            pInfo = NULL;
            m_bFullRepaint = TRUE;
            ::InvalidateRect(hWnd, &rc, FALSE);
        }
        else
        {
            // The new picture from now, the old from the back buffer, which
            // then takes the new one.
            for (int y = 0; y < rc.Height(); y++)
            {
                memcpy(pInfo->m_pNew + (size_t)y * rc.Width(), pBits + (size_t)(rc.top + y) * szClient.cx + rc.left,
                       (size_t)rc.Width() * 4);
                LPDWORD pCacheLine = m_pCacheBits + (size_t)(rc.top + y) * szClient.cx + rc.left;
                memcpy(pInfo->m_pOld + (size_t)y * rc.Width(), pCacheLine, (size_t)rc.Width() * 4);
                memcpy(pCacheLine, pInfo->m_pNew + (size_t)y * rc.Width(), (size_t)rc.Width() * 4);
            }
            // A redraw that changes no pixel needs no fade.
            if (memcmp(pInfo->m_pNew, pInfo->m_pOld, (size_t)rc.Width() * rc.Height() * 4) == 0)
                delete pInfo;
            else
                AddAnimation(pInfo);
        }
    }

    ::SelectObject(dcNow.GetSafeHdc(), hOldNow);
    ::DeleteObject(hbmpNow);
}

void CXTPCommandBarAnimation::AddAnimation(CAnimateInfo* pInfo)
{
    for (INT_PTR i = m_arrAnimate.GetSize() - 1; i >= 0; i--)
    {
        CAnimateInfo* pOld = m_arrAnimate[i];
        if (pInfo->m_rc.left <= pOld->m_rc.left && pInfo->m_rc.top <= pOld->m_rc.top &&
            pInfo->m_rc.right >= pOld->m_rc.right && pInfo->m_rc.bottom >= pOld->m_rc.bottom)
        {
            delete pOld;
            m_arrAnimate.RemoveAt(i);
        }
    }
    m_arrAnimate.Add(pInfo);

    if (!m_bTimerRunning)
    {
        ::SetTimer(m_pCommandBar->GetSafeHwnd(), nTimerId, nTimerPeriod, NULL);
        m_bTimerRunning = TRUE;
    }
    CClientDC dc(m_pCommandBar);
    DrawStep(&dc, pInfo);
}

void CXTPCommandBarAnimation::DrawStep(CDC* pWindowDC, CAnimateInfo* pInfo)
{
    const CRect& rc = pInfo->m_rc;
    if (pInfo->m_nStep < nLastStep)
    {
        int nAlpha = pInfo->m_nStep * 255 / nLastStep;
        LPDWORD pBlend = NULL;
        HBITMAP hbmpBlend = CreateDib(rc.Width(), rc.Height(), &pBlend);
        if (hbmpBlend != NULL)
        {
            const BYTE* pNew = (const BYTE*)pInfo->m_pNew;
            const BYTE* pOld = (const BYTE*)pInfo->m_pOld;
            BYTE* pOut = (BYTE*)pBlend;
            size_t nBytes = (size_t)rc.Width() * rc.Height() * 4;
            for (size_t i = 0; i < nBytes; i++)
                pOut[i] = (BYTE)((pNew[i] * nAlpha + pOld[i] * (255 - nAlpha)) >> 8);

            CDC dcBlend;
            dcBlend.CreateCompatibleDC(pWindowDC);
            HGDIOBJ hOld = ::SelectObject(dcBlend.GetSafeHdc(), hbmpBlend);
            pWindowDC->BitBlt(rc.left, rc.top, rc.Width(), rc.Height(), &dcBlend, 0, 0, SRCCOPY);
            ::SelectObject(dcBlend.GetSafeHdc(), hOld);
            ::DeleteObject(hbmpBlend);
        }
    }
    else if (m_hbmpCache != NULL)
    {
        CDC dcCache;
        dcCache.CreateCompatibleDC(pWindowDC);
        HGDIOBJ hOld = ::SelectObject(dcCache.GetSafeHdc(), m_hbmpCache);
        pWindowDC->BitBlt(rc.left, rc.top, rc.Width(), rc.Height(), &dcCache, rc.left, rc.top, SRCCOPY);
        ::SelectObject(dcCache.GetSafeHdc(), hOld);
    }
    pInfo->m_nStep++;
}

void CXTPCommandBarAnimation::OnTimer()
{
    if (m_pCommandBar == NULL || m_pCommandBar->GetSafeHwnd() == NULL)
        return;
    CClientDC dc(m_pCommandBar);
    for (INT_PTR i = 0; i < m_arrAnimate.GetSize();)
    {
        CAnimateInfo* pInfo = m_arrAnimate[i];
        for (INT_PTR j = 0; j < pInfo->m_arrExclude.GetSize(); j++)
            dc.ExcludeClipRect(&pInfo->m_arrExclude[j]);
        DrawStep(&dc, pInfo);
        dc.SelectClipRgn(NULL);
        if (pInfo->m_nStep > nLastStep)
        {
            delete pInfo;
            m_arrAnimate.RemoveAt(i);
        }
        else
        {
            i++;
        }
    }
    if (m_arrAnimate.GetSize() == 0)
        StopTimer();
}

void CXTPCommandBarAnimation::OnPaint(CDC* pPaintDC, CRect rcPaint)
{
    CSize szClient = GetClientSize();
    if (m_hbmpCache != NULL && m_szCache != szClient)
        DeleteBuffer();

    if (!m_bDoubleBuffer && !IsAnimationEnabled())
    {
        DeleteBuffer();
        {
            CXTPBufferDC dcBuffer(pPaintDC->GetSafeHdc(), rcPaint);
            PaintBar(&dcBuffer, rcPaint);
        }
        RemoveAllAnimations();
        m_bFullRepaint = FALSE;
        return;
    }

    if (m_bFullRepaint || m_hbmpCache == NULL)
    {
        if (m_hbmpCache == NULL)
        {
            m_hbmpCache = CreateDib(szClient.cx, szClient.cy, &m_pCacheBits);
            m_szCache = m_hbmpCache != NULL ? szClient : CSize(0, 0);
            rcPaint = CRect(CPoint(0, 0), szClient);
        }
        if (m_hbmpCache == NULL)
        {
            CXTPBufferDC dcBuffer(pPaintDC->GetSafeHdc(), rcPaint);
            PaintBar(&dcBuffer, rcPaint);
        }
        else
        {
            CDC dcCache;
            dcCache.CreateCompatibleDC(pPaintDC);
            HGDIOBJ hOld = ::SelectObject(dcCache.GetSafeHdc(), m_hbmpCache);
            PaintBar(&dcCache, rcPaint);
            pPaintDC->BitBlt(rcPaint.left, rcPaint.top, rcPaint.Width(), rcPaint.Height(), &dcCache, rcPaint.left,
                             rcPaint.top, SRCCOPY);
            ::SelectObject(dcCache.GetSafeHdc(), hOld);
        }
        RemoveAllAnimations();
        m_bFullRepaint = FALSE;
        return;
    }

    CDC dcCache;
    dcCache.CreateCompatibleDC(pPaintDC);
    HGDIOBJ hOld = ::SelectObject(dcCache.GetSafeHdc(), m_hbmpCache);
    pPaintDC->BitBlt(0, 0, m_szCache.cx, m_szCache.cy, &dcCache, 0, 0, SRCCOPY);
    ::SelectObject(dcCache.GetSafeHdc(), hOld);
}
