// A toolbar whose body is one child window (typically a dialog) instead of a
// row of controls, with a caption strip holding a caption popup and a close
// button. It can be resized by its edges docked or floating, and draws its
// caption active while the keyboard focus is inside it.
#pragma once

#include "XTPToolBar.h"
#include "XTPPopupBar.h"

class CXTPDialogBar : public CXTPToolBar
{
    DECLARE_DYNCREATE(CXTPDialogBar)
public:
    // The popup bar behind the caption.
    class CCaptionPopupBar : public CXTPPopupBar
    {
        DECLARE_DYNCREATE(CCaptionPopupBar)
    public:
        CCaptionPopupBar();
    };

    // The close button of the caption strip.
    class CControlButtonHide : public CXTPControlButton
    {
        DECLARE_DYNCREATE(CControlButtonHide)
    public:
        CControlButtonHide();
        virtual void OnExecute();
        virtual void Draw(CDC* pDC);
        virtual BOOL IsCustomizeMovable() const { return FALSE; }
    };

    // The caption with a drop-down arrow; opens the caption popup bar.
    class CControlCaptionPopup : public CXTPControlPopup
    {
        DECLARE_DYNCREATE(CControlCaptionPopup)
    public:
        CControlCaptionPopup();
        virtual BOOL OnSetPopup(BOOL bPopup);
        virtual void Draw(CDC* pDC);
        virtual void AdjustExcludeRect(CRect& rc, BOOL bVertical);
        virtual BOOL IsCustomizeMovable() const { return FALSE; }
        BOOL m_bHasMenu;
    };

    CXTPDialogBar();
    virtual ~CXTPDialogBar();

    virtual CSize CalcDynamicLayout(int nLength, DWORD dwMode);
    virtual CSize CalcDockingLayout(int nLength, DWORD dwMode, int nWidth = 0);
    virtual void OnIdleUpdate();
    virtual CXTPCommandBar* Clone(BOOL bRecursive = FALSE);
    virtual void Copy(CXTPCommandBar* pCommandBar, BOOL bRecursive = FALSE);
    virtual BOOL IsDialogBar() const { return TRUE; }
    // 1 on the caption strip, -2 elsewhere (client coordinates).
    virtual int HitTestCaption(CPoint point) const;
    // While the bar tracks, the mouse manager asks the caption hit test:
    // only the caption strip belongs to the bar; a click on the hosted
    // window (or its children) ends the tracking.
    virtual int HitTestTrackedPoint(CPoint ptScreen);

    // A resize by the edges to the new window rectangle (screen), as the
    // dock context tracks it with the hit-test code of the edge.
    void OnResize(CRect rcNew, int nHitTest);

    void SetChild(CWnd* pChildWnd);
    HWND GetChild() const { return m_hwndChild; }
    void SetCaption(LPCTSTR lpszCaption) { m_strCaption = lpszCaption; DelayLayout(); }
    CString GetCaption() const { return m_strCaption; }
    void SetSize(CSize sz) { m_szDockingClient = m_szFloatingClient = sz; }
    CSize GetDockingClientSize() const { return m_szDockingClient; }
    CSize GetFloatingClientSize() const { return m_szFloatingClient; }
    void SetDockingClientSize(CSize sz) { m_szDockingClient = sz; }
    void SetFloatingClientSize(CSize sz) { m_szFloatingClient = sz; }
    void SetResizable(BOOL bResizable) { m_bResizable = bResizable; }
    BOOL IsResizable() const { return m_bResizable; }
    void SetCaptionVisible(BOOL bVisible) { m_bCaptionVisible = bVisible; DelayLayout(); }
    void SetCaptionPopupEnabled(BOOL bEnable) { m_bCaptionPopup = bEnable; }
    CXTPPopupBar* GetCaptionPopupBar() const { return m_pPopupBar; }
    void SetClientMargins(CRect rc) { m_rcBorders = rc; }
    BOOL IsActive() const { return m_bActive; }
    int GetCaptionHeight() const { return m_nCaptionHeight; }
    // The gaps around the child window, the caption counted in the top one.
    CRect GetClientMargins();

    enum { nMinResize = 50 };

protected:
    CSize CalcLayout(int nLength, DWORD dwMode, CSize szClient);
    int MeasureCaption();
    void PlaceChild();

    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()

public:
    CRect m_rcBorders;
    BOOL m_bResizable;
    CSize m_szMinSize;
    BOOL m_bCaptionVisible;
    BOOL m_bCaptionPopup;
    int m_nCaptionHeight;
    CSize m_szDockingClient;
    CSize m_szFloatingClient;
    HWND m_hwndChild;
    CString m_strCaption;
    CCaptionPopupBar* m_pPopupBar;
    BOOL m_bActive;
};
