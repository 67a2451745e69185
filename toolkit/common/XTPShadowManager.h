// Drop shadows of popup menus and expanded popup buttons: two thin top-level
// windows per shadowed window, one along the bottom and one along the right
// edge. Layered windows with a soft alpha ramp (4 pixels) where the platform
// has UpdateLayeredWindow, else solid 2-pixel strips. Each shadow follows its
// owner window through the hook manager.
#pragma once

#include "XTPCommon.h"
#include "XTPHookManager.h"

class CXTPShadowsManager
{
public:
    typedef BOOL(WINAPI* PFNUPDATELAYEREDWINDOW)(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF, BLENDFUNCTION*,
                                                 DWORD);

    // One shadow strip.
    class CShadowWnd : public CWnd, public CXTPHookManagerHookAble
    {
    public:
        CShadowWnd(CXTPShadowsManager* pManager, BOOL bHorizontal);
        virtual ~CShadowWnd();

        BOOL Create(CXTPTrackableBar* pOwner, BOOL bSaveBits, const CRect& rc);
        // Takes a new owner for a window kept from an earlier shadow: places,
        // sizes and draws it while it is still hidden.
        BOOL Reuse(CXTPTrackableBar* pOwner, BOOL bHorizontal, const CRect& rc);
        // TRUE when the window can serve a shadow with this window class,
        // layering and window owner.
        BOOL CanReuse(BOOL bSaveBits, BOOL bLayered, HWND hWndParent) const;

        virtual int OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult);

        BOOL IsHorizontal() const { return m_bHorizontal; }
        CXTPTrackableBar* GetOwnerBar() const { return m_pOwner; }
        HWND GetOwnerHwnd() const { return m_hWndOwner; }

    protected:
        virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
        virtual void PostNcDestroy();
        void UpdateLayeredPicture(int cx, int cy, const POINT* pptDest);
        // Gives the window the region of its whole area less the clip
        // rectangles (screen), rcWindow being where the window is or goes.
        void SetClipRegion(const CRect& rcWindow, const CRect* pClip, int nClip);
        void TakeOwner(CXTPTrackableBar* pOwner);

        CXTPShadowsManager* m_pManager;
        BOOL m_bHorizontal;
        int m_nOptions;
        COLORREF m_clrShadow;
        CXTPTrackableBar* m_pOwner;
        HWND m_hWndOwner;
        BOOL m_bSaveBits;
        BOOL m_bHasRegion;      // a window region is set
        BOOL m_bPlacing;        // Reuse draws the picture itself

        friend class CXTPShadowsManager;
    };
    typedef CList<CShadowWnd*, CShadowWnd*> CShadowList;

    CXTPShadowsManager();
    virtual ~CXTPShadowsManager();

    // Shadows for a popup bar that opens; rcExclude is the rectangle (screen)
    // of the control that opened it.
    void SetShadow(CXTPTrackableBar* pPopupBar, const CRect& rcExclude = CRect(0, 0, 0, 0));
    // Shadows for an expanded popup button, given its bar and its rectangle
    // in the bar's client coordinates.
    void SetControlShadow(CXTPTrackableBar* pParentBar, const CRect& rcControl);
    // Removes every shadow of an owner.
    void RemoveShadow(CXTPTrackableBar* pOwner);

    const CShadowList& GetShadows() const { return m_lstShadow; }
    int GetShadowCount() const { return (int)m_lstShadow.GetCount(); }
    // Hidden shadow windows kept for the next shadows (a popup that opens
    // reuses them instead of making new layered windows, which is slow).
    int GetParkedCount() const { return (int)m_lstParked.GetCount(); }
    // Destroys the kept windows.
    void DestroyParked();

    // TRUE when shadows are layered windows with an alpha ramp.
    static BOOL AFX_CDECL IsAlphaShadow();
    // Switches the layered shadows off (solid strips) or back on where the
    // platform allows them; for displays where layered windows misbehave.
    static void AFX_CDECL EnableAlphaShadow(BOOL bEnable);

    // Fills a top-down 32-bit picture of cx x cy premultiplied pixels of a
    // shadow strip of the given kind, colour and shadow options.
    static void AFX_CDECL BuildShadowPicture(BOOL bHorizontal, int cx, int cy, COLORREF clrShadow, int nOptions,
                                             DWORD* pPixels);

    PFNUPDATELAYEREDWINDOW m_pfnUpdateLayeredWindow;

protected:
    CShadowWnd* CreateShadow(BOOL bHorizontal, const CRect& rcOwner, const CRect& rcExclude, CXTPTrackableBar* pOwner);
    void DestroyShadow(CShadowWnd* pShadow);
    CShadowWnd* TakeParked(BOOL bSaveBits, BOOL bLayered, HWND hWndParent, BOOL bHorizontal, const CSize& size);
    // Forgets kept windows that were destroyed with their owner.
    void PruneParked();

    CShadowList m_lstShadow;
    CShadowList m_lstParked;
    BOOL m_bClosing;        // the destructor runs: nothing is kept
    static BOOL s_bAlphaShadow;

    friend class CShadowWnd;
};

// The one shadow manager, built at start-up and destroyed at exit.
CXTPShadowsManager* AFXAPI XTPShadowsManager();

// The shadow manager of the older control family: two shadow lists; the
// windows left in the second are deleted at exit.
class CXTShadowsManager
{
public:
    CXTShadowsManager();
    virtual ~CXTShadowsManager();

    CPtrList m_lstShadow;
    CPtrList m_lstPool;
    CXTPShadowsManager::PFNUPDATELAYEREDWINDOW m_pfnUpdateLayeredWindow;
};

CXTShadowsManager* AFXAPI XTShadowsManager();
