// The about box: a round-cornered dialog whose picture control waves the
// game's logo across a background picture while the credits scroll upward.
#pragma once

#include <afxwin.h>

#include "FennDialog.h"
#include "Vant_XTButton.h"

class CAboutCtrl : public CStatic
{
public:
    CAboutCtrl();
    virtual ~CAboutCtrl();

    // Builds the pictures of the animation; the text scroll starts at the
    // bottom of the control.
    void InitAnimation();
    // One frame: moves the logo and the credits and draws them.
    void Animate();
    // Draws the current frame into a DC (the control's own in play).
    void DrawFrame(CDC* pDC);

public:
    CDC m_dcLogo;
    CDC m_dcBackground;
    CDC m_dcWork;
    CDC m_dcText;
    int m_nLogoWidth;
    int m_nLogoHeight;
    int m_nAngle1;
    int m_nAngle2;
    int m_nWaveSpeed;
    int m_nLogoX;
    int m_nLogoY;
    int m_nTextWidth;
    int m_nTextHeight;
    int m_nTextScrollY;
    // The width of the widest credits line in its font (pixels), measured
    // when the credits are drawn.
    int m_nWidestCreditLine;
    CString m_strCredits;

protected:
    // The bitmaps selected into the four DCs, and what they replaced.
    CBitmap m_bmpLogo, m_bmpBackground, m_bmpWork, m_bmpText;
    HGDIOBJ m_hOldLogo, m_hOldBackground, m_hOldWork, m_hOldText;
    int m_nBackgroundWidth, m_nBackgroundHeight;

    // A copy of bitmap nID (or, for 0, an empty bitmap of the given size) in
    // a new DC compatible with the control's; the size goes to cx, cy.
    BOOL LoadBitmapToDC(UINT nID, CDC& dc, CBitmap& bitmap, HGDIOBJ& hOld, int& cx, int& cy);
    // The credits, black on white, one line under the other.
    void BuildTextBitmap();
    void FreeDCs();

    virtual void PreSubclassWindow();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnPaint();
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()
};

class CFlyingAboutDlg : public CSubvertedHelpDlg
{
public:
    explicit CFlyingAboutDlg(CWnd* pParentWnd = NULL);

    virtual BOOL OnInitDialog();

    // The credits: the product with its short version, the makers, the full
    // version with its build date, the notices and the web address.
    static CString AFXAPI MakeCredits(LPCTSTR lpszShortVersion, LPCTSTR lpszFullVersion, LPCTSTR lpszBuildDate);

public:
    CAboutCtrl m_wndAbout;
    CVant_XTButton m_btnClose;

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
};
