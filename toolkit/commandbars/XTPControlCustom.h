// A control that shows any child window on a command bar (a clock, a
// slider): the bar lays it out and sizes it from the window, which is moved
// into the control's rectangle inside a border and shown and hidden with it.
#pragma once

#include "XTPControlButton.h"
#include "XTPHookManager.h"

class CXTPControlCustom : public CXTPControlButton, public CXTPHookManagerHookAble
{
    DECLARE_DYNCREATE(CXTPControlCustom)
public:
    // What happens in a vertically docked bar.
    enum XTPVerticalOptions
    {
        xtpVerticalHide = 0,        // the control is hidden
        xtpVerticalShow = 1,        // it stays as it is
        xtpVerticalButton = 2       // a button takes its place; the window is hidden
    };

    CXTPControlCustom();
    virtual ~CXTPControlCustom();

    // A new control hosting the window, with the window's dialog id.
    static CXTPControlCustom* AFX_CDECL CreateControlCustom(CWnd* pWnd);

    void SetControl(CWnd* pWnd);
    CWnd* GetControl() const { return CWnd::FromHandle(m_hwndControl); }
    HWND GetControlHwnd() const { return m_hwndControl; }
    void SetBorders(int cxLeft, int cyTop, int cxRight, int cyBottom);
    CRect GetBorders() const { return m_rcBorders; }
    void SetVerticalPositionOption(int nOption) { m_verticalOptions = nOption; }
    int GetVerticalPositionOption() const { return m_verticalOptions; }
    CSize GetControlSize() const { return m_szControl; }
    void SetSize(CSize sz) { m_szControl = sz; }
    int GetControlId() const { return m_nControlID; }

    virtual void SetEnabled(BOOL bEnabled);
    virtual void SetRect(CRect rcControl);
    virtual BOOL SetHideFlags(DWORD dwFlags);
    virtual CSize GetSize(CDC* pDC);
    virtual void Draw(CDC* pDC);
    virtual void OnCalcDynamicSize(DWORD dwMode);
    virtual void DoPropExchange(CXTPPropExchange* pPX);
    virtual void Copy(CXTPControl* pControl, BOOL bRecursive = FALSE);
    virtual void OnClick(BOOL bKeyboard = FALSE, CPoint pt = CPoint(0, 0));
    virtual void OnActionChanged(int nProperty);
    virtual int OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult);

protected:
    // Shows the window while the control is visible (and its window is meant
    // to show), else hides it.
    void ShowHostedWindow();
    // The window is shown by itself in place of a drawn button.
    BOOL IsWindowShown() const;

public:
    HWND m_hwndControl;
    CRect m_rcBorders;
    BOOL m_bControlVisible;
    CSize m_szControl;
    int m_verticalOptions;
    int m_nControlID;
};
