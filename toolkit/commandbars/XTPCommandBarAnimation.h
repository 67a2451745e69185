// The back buffer of a command bar and the fade of redrawn parts: the bar is
// painted from its last image, and a part redrawn with animation on fades
// from the old image to the new one in six steps on a 50 ms timer.
#pragma once

#include "XTPCommon.h"
#include <afxtempl.h>

class CXTPCommandBar;

class CXTPCommandBarAnimation
{
public:
    // One fading rectangle: its new and old pictures, its step (1 to 6) and
    // the parts drawn over it since, which later steps leave alone.
    class CAnimateInfo
    {
    public:
        CAnimateInfo(const CRect& rc);
        ~CAnimateInfo();

        HBITMAP m_hbmpNew;
        LPDWORD m_pNew;
        HBITMAP m_hbmpOld;
        LPDWORD m_pOld;
        CRect m_rc;
        int m_nStep;
        CArray<CRect, const CRect&> m_arrExclude;
    };

    explicit CXTPCommandBarAnimation(CXTPCommandBar* pCommandBar);
    virtual ~CXTPCommandBarAnimation();

    // The bar's own "EnableAnimation", else the paint manager's switch.
    BOOL IsAnimationEnabled() const;
    BOOL GetAnimationProperty() const { return m_bAnimation; }
    void SetAnimationProperty(BOOL bAnimation) { m_bAnimation = bAnimation; }
    // The back buffer is kept even while animation is off.
    void SetKeepBuffer(BOOL bKeep) { m_bDoubleBuffer = bKeep; }
    BOOL GetKeepBuffer() const { return m_bDoubleBuffer; }

    // Redraws a part of the bar (NULL: all of it), fading it when asked and
    // animation is on.
    void RedrawRect(LPCRECT lpRect, BOOL bAnimate);
    // Paints the bar from its back buffer into the paint DC.
    void OnPaint(CDC* pPaintDC, CRect rcPaint);
    // One step of every running fade.
    void OnTimer();
    // Drops the back buffer and every fade.
    void OnDestroy();

    BOOL IsTimerRunning() const { return m_bTimerRunning; }
    int GetAnimationCount() const { return (int)m_arrAnimate.GetSize(); }
    CAnimateInfo* GetAnimation(int nIndex) const { return m_arrAnimate[nIndex]; }
    HBITMAP GetBackBuffer() const { return m_hbmpCache; }

    enum { nTimerId = 707907, nTimerPeriod = 50, nLastStep = 6 };

protected:
    // A 32-bit top-down DIB section.
    static HBITMAP CreateDib(int cx, int cy, LPDWORD* ppBits);
    void DeleteBuffer();
    void RemoveAllAnimations();
    void AddAnimation(CAnimateInfo* pInfo);
    void DrawStep(CDC* pWindowDC, CAnimateInfo* pInfo);
    void StopTimer();
    CSize GetClientSize() const;
    // Paints the bar into the DC, clipped to the rectangle.
    void PaintBar(CDC* pDC, const CRect& rcClip);

    CXTPCommandBar* m_pCommandBar;
    HBITMAP m_hbmpCache;
    LPDWORD m_pCacheBits;
    CSize m_szCache;
    BOOL m_bFullRepaint;
    BOOL m_bTimerRunning;
    BOOL m_bAnimation;
    BOOL m_bDoubleBuffer;
    CArray<CAnimateInfo*, CAnimateInfo*> m_arrAnimate;
};
