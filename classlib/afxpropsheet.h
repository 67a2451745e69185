// afxpropsheet.h - property sheets and their pages over the common-controls
// property sheet.  A modal sheet runs modeless inside the layer's own modal
// loop, so the thread's PreTranslateMessage walk sees its messages.
#ifndef BM_AFXPROPSHEET_H
#define BM_AFXPROPSHEET_H

#include "afxwin.h"
#include <prsht.h>

class CPropertySheet;

class CPropertyPage : public CDialog
{
    DECLARE_DYNAMIC(CPropertyPage)
public:
    CPropertyPage();
    explicit CPropertyPage(UINT nIDTemplate, UINT nIDCaption = 0);
    explicit CPropertyPage(LPCTSTR lpszTemplateName, UINT nIDCaption = 0);
    virtual ~CPropertyPage();

    void Construct(UINT nIDTemplate, UINT nIDCaption = 0);
    void Construct(LPCTSTR lpszTemplateName, UINT nIDCaption = 0);

    // The page as the sheet sees it: PSP_DLGINDIRECT with the template in
    // memory (loaded from the resource unless the page sets pResource itself),
    // the layer's dialog procedure and a creation callback that arms the hook.
    PROPSHEETPAGE m_psp;

    void CancelToClose();
    void SetModified(BOOL bChanged = TRUE);
    LRESULT QuerySiblings(WPARAM wParam, LPARAM lParam);
    CPropertySheet* GetParentSheet() const;

    virtual BOOL OnApply();        // OnOK, then TRUE
    virtual void OnReset();        // OnCancel
    virtual void OnOK();
    virtual void OnCancel();
    virtual BOOL OnSetActive();    // UpdateData(FALSE) after the first activation
    virtual BOOL OnKillActive();   // UpdateData(TRUE); FALSE keeps the page
    virtual BOOL OnQueryCancel();
    virtual LRESULT OnWizardBack();
    virtual LRESULT OnWizardNext();
    virtual BOOL OnWizardFinish();

    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);

    // Fills m_psp for the sheet (template, flags, callback).
    void PreProcessPageTemplate();

    CString m_strCaption;
    BOOL m_bFirstSetActive;
    CPropertySheet* m_pSheet;   // set while the page belongs to a sheet

    DECLARE_MESSAGE_MAP()
};

class CPropertySheet : public CWnd
{
    DECLARE_DYNAMIC(CPropertySheet)
public:
    CPropertySheet();
    explicit CPropertySheet(UINT nIDCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
    explicit CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
    virtual ~CPropertySheet();

    void Construct(UINT nIDCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
    void Construct(LPCTSTR pszCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);

    // Modeless sheet
    virtual BOOL Create(CWnd* pParentWnd = NULL, DWORD dwStyle = (DWORD)-1, DWORD dwExStyle = 0);
    using CWnd::Create;
    // Modal sheet: ends when the current page handle becomes null (OK,
    // Cancel, Close) or after EndDialog.  Returns the button id pressed.
    virtual INT_PTR DoModal();

    int GetPageCount() const;
    CPropertyPage* GetPage(int nPage) const;
    int GetPageIndex(CPropertyPage* pPage) const;
    CPropertyPage* GetActivePage() const;
    int GetActiveIndex() const;
    BOOL SetActivePage(int nPage);
    BOOL SetActivePage(CPropertyPage* pPage);
    void SetTitle(LPCTSTR lpszText, UINT nStyle = 0);
    CTabCtrl* GetTabControl() const;
    void EnableStackedTabs(BOOL bStacked) { m_bStacked = bStacked; }
    void SetWizardMode();
    void SetWizardButtons(DWORD dwFlags);
    void SetFinishText(LPCTSTR lpszText);

    void AddPage(CPropertyPage* pPage);
    void RemovePage(CPropertyPage* pPage);
    void RemovePage(int nPage);
    void EndDialog(int nEndID);
    BOOL PressButton(int nButton);
    void MapDialogRect(LPRECT lpRect) const;

    // Sends a message to every page that has a window.
    void SendMessageToPages(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

    virtual BOOL OnInitDialog();
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL ContinueModal();
    virtual void BuildPropPageArray();

    PROPSHEETHEADER m_psh;   // PSH_NOAPPLYNOW set, PSH_HASHELP cleared

    CPtrArray m_pages;        // CPropertyPage*
    CString m_strCaption;
    CWnd* m_pParentWnd;
    BOOL m_bStacked;
    BOOL m_bModeless;
    PROPSHEETPAGE* m_ppspArray;   // built for PropertySheet()

    afx_msg LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnKickIdle(WPARAM wParam, LPARAM lParam);
    // Closing from the caption (or Alt+F4) cancels, whatever button was
    // pressed before and refused by a page.
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg void OnClose();
    afx_msg LRESULT OnPressButton(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

protected:
    void CommonConstruct(CWnd* pParentWnd, UINT iSelectPage);
    // Moves the focus out of a page that no longer shows into the page that
    // does; the window that has the focus afterwards when it moved, else NULL.
    HWND KeepFocusOnShownPage();
};

#endif // BM_AFXPROPSHEET_H
