// The tutorial: eight picture pages explaining the rules and the controls,
// paged with Prev and Next; a page of two pictures alternates them every
// second.
#pragma once

#include <afxwin.h>

#include "Vant_XTButton.h"
#include "resource.h"

class CTutorialDlg : public CDialog
{
public:
    enum { IDD = IDD_TUTORIAL };
    enum { kPageCount = 8 };

    explicit CTutorialDlg(CWnd* pParentWnd = NULL);
    virtual ~CTutorialDlg();

    virtual BOOL OnInitDialog();

    // Loads the picture of the current page and frame into the picture.
    void ShowPage();
    // The resource id of a page's picture.
    static UINT AFXAPI GetPictureID(int nPage, int nFrame);

public:
    int m_nFrameCounts[kPageCount];
    int m_nPage;        // 0 to 7
    int m_nFrame;
    CStatic m_wndPicture;
    CVant_XTButton m_btnPrev;
    CVant_XTButton m_btnNext;
    CVant_XTButton m_btnClose;
    HBITMAP m_hShown;   // the picture now shown (owned)

    afx_msg void OnNext();
    afx_msg void OnPrev();
    afx_msg void OnClose();
    afx_msg void OnTimer(UINT_PTR nIDEvent);

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual void OnCancel();
    // Prev is enabled after the first page, Next before the last.
    void UpdateButtons();
    DECLARE_MESSAGE_MAP()
};
