// Common dialogs (file, colour, print) and the print information of a job.
//
// The common dialogs run through the system's functions with a hook: the
// hook subclasses a window to the dialog object when the dialog starts, so
// the object's message map and virtual members see its messages.
//  - CFileDialog uses the explorer style: the object is the hook's child
//    dialog, and its parent is the visible dialog (GetParent()).
//  - CColorDialog and CPrintDialog are the visible dialog themselves.
#pragma once

#include <afxwin.h>
#include <commdlg.h>

#include <vector>

#if __has_include("afxpropsheet.h")
#include "afxpropsheet.h"
#endif

// ---------------------------------------------------------------------------
// CCommonDialog: OK and Cancel go to the system's dialog, which ends itself.

class CCommonDialog : public CDialog
{
    DECLARE_DYNAMIC(CCommonDialog)
public:
    explicit CCommonDialog(CWnd* pParentWnd);
    virtual ~CCommonDialog();

protected:
    virtual void OnOK();
    virtual void OnCancel();
};

// ---------------------------------------------------------------------------
// CFileDialog

class CFileDialog : public CCommonDialog
{
    DECLARE_DYNAMIC(CFileDialog)
public:
    // lpszFilter: "Name|pattern|Name|pattern||" ('|' becomes '\0').
    explicit CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt = NULL, LPCTSTR lpszFileName = NULL,
                         DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                         LPCTSTR lpszFilter = NULL, CWnd* pParentWnd = NULL);
    virtual ~CFileDialog();

    OPENFILENAME m_ofn;

    // IDOK or IDCANCEL.
    virtual INT_PTR DoModal();

    // While the dialog is open these ask it (CDM_GETFILEPATH); afterwards
    // they read the chosen file.
    CString GetPathName() const;
    CString GetFileName() const;    // name with extension
    CString GetFileExt() const;     // extension without the dot
    CString GetFileTitle() const;   // name without extension
    CString GetFolderPath() const;  // while open only
    BOOL GetReadOnlyPref() const;
    // Multiple selection (OFN_ALLOWMULTISELECT)
    POSITION GetStartPosition() const;
    CString GetNextPathName(POSITION& pos) const;

    // While open: text and visibility of the visible dialog's controls.
    void SetControlText(int nID, LPCTSTR lpsz);
    void HideControl(int nID);
    void SetDefExt(LPCSTR lpsz);

    // The hook of the explorer-style dialog.  On WM_INITDIALOG it subclasses
    // the hook's child window to the object named by the OPENFILENAME's
    // lCustData and runs OnInitDialog; CDN_* notifications then reach
    // OnNotify.
    static UINT_PTR CALLBACK HookProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);

protected:
    // Notifications of the explorer-style dialog.
    virtual BOOL OnFileNameOK();        // TRUE rejects the name (CDN_FILEOK)
    virtual void OnInitDone();          // CDN_INITDONE
    virtual void OnFileNameChange();    // CDN_SELCHANGE
    virtual void OnFolderChange();      // CDN_FOLDERCHANGE
    virtual void OnTypeChange();        // CDN_TYPECHANGE
    virtual UINT OnShareViolation(LPCTSTR lpszPathName);   // CDN_SHAREVIOLATION

    BOOL m_bOpenFileDialog;
    std::vector<TCHAR> m_filter;        // the filter with '\0' separators
    CString m_strDefExt;
    TCHAR m_szFileTitle[64];
    TCHAR m_szFileName[4096];
};

// ---------------------------------------------------------------------------
// CColorDialog

class CColorDialog : public CCommonDialog
{
    DECLARE_DYNAMIC(CColorDialog)
public:
    explicit CColorDialog(COLORREF clrInit = 0, DWORD dwFlags = 0, CWnd* pParentWnd = NULL);
    virtual ~CColorDialog();

    CHOOSECOLOR m_cc;

    virtual INT_PTR DoModal();
    // The colour chosen (the initial one before DoModal).
    COLORREF GetColor() const { return m_cc.rgbResult; }
    // While open the dialog shows the colour; otherwise it becomes the
    // initial colour.
    void SetCurrentColor(COLORREF clr);
    // The sixteen custom colours shared by every colour dialog.
    static COLORREF* PASCAL GetSavedCustomColors();

    static UINT_PTR CALLBACK HookProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

protected:
    // TRUE keeps the dialog open when the user presses OK.
    virtual BOOL OnColorOK();
};

// ---------------------------------------------------------------------------
// CPrintDialog
//
// m_pd.hDevMode and m_pd.hDevNames belong to the caller (GlobalFree them);
// so does a DC from GetPrinterDC (DeleteDC it).

class CPrintDialog : public CCommonDialog
{
    DECLARE_DYNAMIC(CPrintDialog)
public:
    explicit CPrintDialog(BOOL bPrintSetupOnly,
                          DWORD dwFlags = PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS |
                                          PD_HIDEPRINTTOFILE | PD_NOSELECTION,
                          CWnd* pParentWnd = NULL);
    virtual ~CPrintDialog();

    PRINTDLG m_pd;

    virtual INT_PTR DoModal();
    // The default printer without a dialog; FALSE when there is none.
    BOOL GetDefaults();
    // A new DC of the chosen printer, or null.  The caller deletes it.
    HDC GetPrinterDC() const;
    // A new DC made from a device description, or null (the caller deletes it).
    static HDC PASCAL CreatePrinterDC(HGLOBAL hDevNames, HGLOBAL hDevMode);

    int GetCopies() const;
    BOOL PrintAll() const { return (m_pd.Flags & (PD_PAGENUMS | PD_SELECTION)) == 0; }
    BOOL PrintRange() const { return (m_pd.Flags & PD_PAGENUMS) != 0; }
    BOOL PrintSelection() const { return (m_pd.Flags & PD_SELECTION) != 0; }
    BOOL PrintCollate() const { return (m_pd.Flags & PD_COLLATE) != 0; }
    int GetFromPage() const;
    int GetToPage() const;
    CString GetDeviceName() const;
    CString GetDriverName() const;
    CString GetPortName() const;

    static UINT_PTR CALLBACK HookProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

protected:
    CString DevNamesField(int nField) const;
};

// ---------------------------------------------------------------------------
// CPrintInfo: the state of one print job, usable without a view or printer.

class CPrintInfo
{
public:
    CPrintInfo();
    ~CPrintInfo();

    CPrintDialog* m_pPD;          // owned; its page range is the job's
    BOOL m_bDocObject;
    BOOL m_bPreview;              // printing into a preview
    BOOL m_bDirect;               // no print dialog
    BOOL m_bContinuePrinting;     // FALSE ends the page loop
    UINT m_nCurPage;
    UINT m_nNumPreviewPages;
    CString m_strPageDesc;
    LPVOID m_lpUserData;
    CRect m_rectDraw;             // the printable area of the current page (logical units)
    int m_nJobNumber;

    void SetMinPage(UINT nMinPage);
    void SetMaxPage(UINT nMaxPage);
    UINT GetMinPage() const;
    UINT GetMaxPage() const;
    UINT GetFromPage() const;
    UINT GetToPage() const;
    UINT GetOffsetPage() const { return 0; }

private:
    CPrintInfo(const CPrintInfo&) = delete;
    CPrintInfo& operator=(const CPrintInfo&) = delete;
};
