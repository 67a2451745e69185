// The hyperlink: a static text that looks and acts like a web link -
// coloured, underlined text, a hand cursor over the text, a tooltip with the
// address, a hover colour and a visited colour; a click opens the address
// through the shell.
#pragma once

#include "XTPCommon.h"

#include <afxcmn.h>

class CXTHyperLink : public CStatic
{
    DECLARE_DYNAMIC(CXTHyperLink)
public:
    CXTHyperLink();
    virtual ~CXTHyperLink();

    // The shell's open call; tests replace it so that no browser starts.
    // Returns the previous one; NULL restores the shell's.
    typedef HINSTANCE(WINAPI* PFNSHELLEXECUTE)(HWND hWnd, LPCTSTR lpOperation, LPCTSTR lpFile,
                                               LPCTSTR lpParameters, LPCTSTR lpDirectory, INT nShowCmd);
    static PFNSHELLEXECUTE AFXAPI SetShellExecute(PFNSHELLEXECUTE pfnShellExecute);

    virtual void SetURL(LPCTSTR lpszURL);
    virtual CString GetURL() const;
    virtual void SetColors(COLORREF clrLink, COLORREF clrVisited, COLORREF clrHover);
    virtual COLORREF GetLinkColor() const;
    virtual COLORREF GetVisitedColor() const;
    virtual COLORREF GetHoverColor() const;
    virtual void SetVisited(BOOL bVisited = TRUE);
    virtual BOOL GetVisited() const;
    virtual void SetLinkCursor(HCURSOR hCursor);
    virtual HCURSOR GetLinkCursor() const;
    virtual void SetUnderline(BOOL bUnderline = TRUE);
    virtual BOOL GetUnderline() const;
    // -1 (transparent, the parent's background) unsets it.
    virtual void SetBackColor(COLORREF clrBack);
    // The back colour, the 3-D face colour when unset.
    virtual COLORREF GetBackColor() const;
    // Opens the address (the stored one when lpszURL is NULL); FALSE, after
    // telling the user why, when the shell fails.
    virtual BOOL GotoURL(LPCTSTR lpszURL = NULL, int nShowCmd = SW_SHOW, LPCTSTR lpszParams = NULL,
                         LPCTSTR lpszDir = NULL);
    // A left, centred or right text static.
    virtual BOOL IsTextControl();
    // The cursor over the text (always TRUE for a static without text).
    virtual BOOL PointInText();
    // Beeps and shows the shell error's text.
    virtual void ReportError(int nError);
    virtual void Init();
    virtual BOOL UpdateFont();
    virtual void CreateLinkFont(CFont& font, BYTE bUnderline);

    // The point (screen coordinates) over the text.
    BOOL PointInText(CPoint ptScreen);
    // The text of a shell error, as ReportError shows it.
    static CString AFX_CDECL GetErrorText(int nError);

    BOOL GetHover() const { return m_bHover; }
    CToolTipCtrl& GetToolTip() { return m_toolTip; }
    // One step of the hover tracking (timer 1).
    void OnHoverTimer();
    // A click on the control, as its reflected STN_CLICKED handles it.
    BOOL OnClicked();

    virtual BOOL PreTranslateMessage(MSG* pMsg);

protected:
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    virtual void PreSubclassWindow();
    void RedrawLink();

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    DECLARE_MESSAGE_MAP()

public:
    BYTE m_bOpenURL;          // a click opens the address (else only marks it visited)
    BYTE m_bPreSubclassInit;  // cleared by PreCreateWindow
    BYTE m_bUnderline;
    BYTE m_bHover;            // the cursor is over the text
    BYTE m_bVisited;
    BYTE m_bShowToolTip;
    CFont m_font;
    CString m_strURL;
    CString m_strTipText;
    HCURSOR m_hcurHand;
    COLORREF m_clrLink;
    COLORREF m_clrHover;
    COLORREF m_clrVisited;
    COLORREF m_clrBack;       // -1 transparent
    CToolTipCtrl m_toolTip;
};
