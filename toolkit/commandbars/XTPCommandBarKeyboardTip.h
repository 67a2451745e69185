// A keyboard tip: a small window beside a control or bar that shows the
// letters that reach it from the keyboard. It never takes the mouse.
#pragma once

#include "XTPCommon.h"

class CXTPCommandBars;

// The tip text of a caption: the letter it marks (after its first single
// '&', "&&" being a literal '&'), upper case; empty without one.
CString AFX_CDECL XTPKeyboardTipLetter(const CString& strCaption);

class CXTPCommandBarKeyboardTip : public CWnd
{
public:
    // pOwner is a CXTPControl or a CXTPCommandBar; pt is the anchor point
    // in screen coordinates.
    CXTPCommandBarKeyboardTip(CXTPCommandBars* pCommandBars, CCmdTarget* pOwner, LPCTSTR lpszCaption, CPoint pt,
                              DWORD dwAlign, BOOL bEnabled);
    virtual ~CXTPCommandBarKeyboardTip();

    // Measures the caption in the paint manager's font and shows the tip
    // beside its anchor, without activating it.
    BOOL Show();
    CSize CalcSize();
    CString GetCaption() const { return m_strCaption; }
    BOOL IsEnabled() const { return m_bEnabled; }

    CString m_strTip;           // the full caption the tip was made from (not shown)
    CString m_strCaption;       // the letters
    CCmdTarget* m_pOwner;
    CPoint m_pt;
    BOOL m_bEnabled;
    CXTPCommandBars* m_pCommandBars;
    DWORD m_dwAlign;
    int m_nPrefix;              // letters already typed of the caption

protected:
    virtual void PostNcDestroy() {}
    afx_msg void OnPaint();
    afx_msg LRESULT OnNcHitTest(CPoint point);
    DECLARE_MESSAGE_MAP()
};
