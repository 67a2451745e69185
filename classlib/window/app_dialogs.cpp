// CWinApp: the file and printer dialogs behind the standard commands, and
// the "New" dialog in which File New asks for the kind of document.
#include "wndimpl.h"
#include <afxdlgs.h>

namespace
{
// Appends a string to a dialog template as UTF-16, with its terminating 0.
void AppendTemplateString(std::vector<WORD>& words, LPCSTR psz)
{
    int nChars = ::MultiByteToWideChar(CP_ACP, 0, psz, -1, NULL, 0);
    if (nChars <= 0)
    {
        words.push_back(0);
        return;
    }
    std::vector<WCHAR> wide((size_t)nChars);
    ::MultiByteToWideChar(CP_ACP, 0, psz, -1, wide.data(), nChars);
    words.insert(words.end(), wide.begin(), wide.end());
}

// One control of a dialog template, DWORD-aligned as the format asks
// (the buffer itself starts aligned).
void AppendTemplateItem(std::vector<WORD>& words, DWORD dwStyle, short x, short y, short cx, short cy, WORD nID,
                        WORD wClassAtom, LPCSTR pszText)
{
    if (words.size() % 2 != 0)
        words.push_back(0);
    DLGITEMTEMPLATE item;
    ZeroMemory(&item, sizeof(item));
    item.style = dwStyle | WS_CHILD | WS_VISIBLE;
    item.x = x;
    item.y = y;
    item.cx = cx;
    item.cy = cy;
    item.id = nID;
    const WORD* pItem = (const WORD*)&item;
    words.insert(words.end(), pItem, pItem + sizeof(item) / sizeof(WORD));
    words.push_back(0xFFFF);   // a predefined class by its atom
    words.push_back(wClassAtom);
    AppendTemplateString(words, pszText);
    words.push_back(0);   // no creation data
}

const WORD kAtomButton = 0x0080;
const WORD kAtomListBox = 0x0083;
const WORD kNewTypeList = 100;

// File New's question when the application makes documents of several
// kinds: a list of the templates' file-new names, the first selected. OK,
// Enter or a double click on a name chooses that kind; Cancel and Escape
// choose none. The template is built in memory, so the dialog needs no
// resource of the program.
class CNewTypeDlg : public CDialog
{
public:
    explicit CNewTypeDlg(const CPtrArray& templates, const CStringArray& names, CWnd* pParentWnd = NULL)
        : m_templates(templates), m_names(names), m_pSelectedTemplate(NULL)
    {
        BuildTemplate();
        InitModalIndirect((LPCDLGTEMPLATE)m_template.data(), pParentWnd);
    }

    CDocTemplate* GetSelectedTemplate() const { return m_pSelectedTemplate; }

protected:
    virtual BOOL OnInitDialog()
    {
        CDialog::OnInitDialog();
        HWND hList = ::GetDlgItem(m_hWnd, kNewTypeList);
        for (INT_PTR i = 0; i < m_names.GetSize(); i++)
        {
            LRESULT nIndex = ::SendMessage(hList, LB_ADDSTRING, 0, (LPARAM)(LPCTSTR)m_names[i]);
            if (nIndex >= 0)
                ::SendMessage(hList, LB_SETITEMDATA, (WPARAM)nIndex, (LPARAM)m_templates[i]);
        }
        ::SendMessage(hList, LB_SETCURSEL, 0, 0);
        return TRUE;   // the list, the first control, has the focus
    }

    virtual void OnOK()
    {
        HWND hList = ::GetDlgItem(m_hWnd, kNewTypeList);
        LRESULT nSel = ::SendMessage(hList, LB_GETCURSEL, 0, 0);
        if (nSel == LB_ERR)
        {
            ::MessageBeep(MB_ICONEXCLAMATION);   // nothing chosen: the dialog stays
            return;
        }
        m_pSelectedTemplate = (CDocTemplate*)::SendMessage(hList, LB_GETITEMDATA, (WPARAM)nSel, 0);
        EndDialog(IDOK);
    }

    afx_msg void OnDblClkList() { OnOK(); }

    DECLARE_MESSAGE_MAP()

private:
    void BuildTemplate()
    {
        // 180 x 84 dialog units: the list on the left, OK and Cancel beside it.
        DLGTEMPLATE dlg;
        ZeroMemory(&dlg, sizeof(dlg));
        dlg.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_3DLOOK;
        dlg.cdit = 3;
        dlg.cx = 180;
        dlg.cy = 84;
        const WORD* pDlg = (const WORD*)&dlg;
        m_template.assign(pDlg, pDlg + sizeof(dlg) / sizeof(WORD));
        m_template.push_back(0);   // no menu
        m_template.push_back(0);   // the standard dialog class
        AppendTemplateString(m_template, "New");
        m_template.push_back(8);   // point size of the font
        AppendTemplateString(m_template, "MS Shell Dlg");
        AppendTemplateItem(m_template, LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER | WS_TABSTOP, 7,
                           7, 110, 70, kNewTypeList, kAtomListBox, "");
        AppendTemplateItem(m_template, BS_DEFPUSHBUTTON | WS_TABSTOP, 123, 7, 50, 14, IDOK, kAtomButton, "OK");
        AppendTemplateItem(m_template, BS_PUSHBUTTON | WS_TABSTOP, 123, 25, 50, 14, IDCANCEL, kAtomButton,
                           "Cancel");
    }

    const CPtrArray& m_templates;
    const CStringArray& m_names;
    CDocTemplate* m_pSelectedTemplate;
    std::vector<WORD> m_template;
};

BEGIN_MESSAGE_MAP(CNewTypeDlg, CDialog)
    ON_LBN_DBLCLK(kNewTypeList, OnDblClkList)
END_MESSAGE_MAP()
} // namespace

void CWinApp::OnFileNew()
{
    if (m_templateList.IsEmpty())
    {
        AfxMessageBox(AFX_IDP_FAILED_TO_CREATE_DOC);
        return;
    }
    CDocTemplate* pTemplate = (CDocTemplate*)m_templateList.GetHead();
    if (m_templateList.GetCount() > 1)
    {
        // The kinds the player may choose: templates with a file-new name.
        CPtrArray templates;
        CStringArray names;
        for (POSITION pos = m_templateList.GetHeadPosition(); pos != NULL;)
        {
            CDocTemplate* pCandidate = (CDocTemplate*)m_templateList.GetNext(pos);
            CString strName;
            if (pCandidate->GetDocString(strName, CDocTemplate::fileNewName) && !strName.IsEmpty())
            {
                templates.Add(pCandidate);
                names.Add(strName);
            }
        }
        if (templates.GetSize() == 1)
            pTemplate = (CDocTemplate*)templates[0];
        else if (templates.GetSize() > 1)
        {
            CNewTypeDlg dlg(templates, names);
            INT_PTR nResult = dlg.DoModal();
            if (nResult == IDCANCEL)
                return;
            if (nResult != IDOK || dlg.GetSelectedTemplate() == NULL)
            {
                TRACE("File New: the dialog of document kinds could not be shown (%d)", (int)nResult);
                AfxMessageBox(AFX_IDP_FAILED_TO_CREATE_DOC);
                return;
            }
            pTemplate = dlg.GetSelectedTemplate();
        }
    }
    pTemplate->OpenDocumentFile(NULL);
}

// "Name (*.ext)|*.ext|" for a template with a filter.
static void AfxAppendFilter(CString& strFilter, CDocTemplate* pTemplate, CString* pstrDefaultExt)
{
    CString strFilterExt, strFilterName;
    if (!pTemplate->GetDocString(strFilterExt, CDocTemplate::filterExt) || strFilterExt.IsEmpty() ||
        !pTemplate->GetDocString(strFilterName, CDocTemplate::filterName) || strFilterName.IsEmpty())
        return;
    if (pstrDefaultExt != NULL && pstrDefaultExt->IsEmpty())
    {
        *pstrDefaultExt = strFilterExt;
        int nSemi = pstrDefaultExt->Find(';');
        if (nSemi >= 0)
            pstrDefaultExt->Truncate(nSemi);
        pstrDefaultExt->TrimLeft("*.");
    }
    // Extensions are ".ext;.ext2": patterns "*.ext;*.ext2".
    CString strPattern;
    int iStart = 0;
    for (;;)
    {
        CString strExt = strFilterExt.Tokenize(";", iStart);
        if (iStart < 0)
            break;
        strExt.TrimLeft("*");
        if (!strPattern.IsEmpty())
            strPattern += ';';
        strPattern += "*" + strExt;
    }
    strFilter += strFilterName + "|" + strPattern + "|";
}

BOOL CWinApp::DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                               CDocTemplate* pTemplate)
{
    CString strFilter;
    CString strDefaultExt;
    if (pTemplate != NULL)
    {
        AfxAppendFilter(strFilter, pTemplate, &strDefaultExt);
    }
    else
    {
        for (POSITION pos = m_templateList.GetHeadPosition(); pos != NULL;)
            AfxAppendFilter(strFilter, (CDocTemplate*)m_templateList.GetNext(pos),
                            strDefaultExt.IsEmpty() ? &strDefaultExt : NULL);
    }
    CString strAll;
    if (!strAll.LoadString(AFX_IDS_ALLFILTER))
        strAll = "All Files (*.*)";
    strFilter += strAll + "|*.*||";

    CFileDialog dlgFile(bOpenFileDialog, strDefaultExt.IsEmpty() ? NULL : (LPCTSTR)strDefaultExt, fileName,
                        OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | lFlags, strFilter, NULL);
    CString strTitle;
    if (strTitle.LoadString(nIDSTitle))
        dlgFile.m_ofn.lpstrTitle = strTitle;
    if (dlgFile.DoModal() != IDOK)
        return FALSE;
    fileName = dlgFile.GetPathName();
    return !fileName.IsEmpty();
}

void CWinApp::UpdatePrinterSelection(BOOL bForceDefaults)
{
    if (m_hDevNames != NULL && !bForceDefaults)
        return;
    CPrintDialog pd(TRUE);
    if (!pd.GetDefaults())
        return;   // no printer
    if (m_hDevMode != NULL)
        ::GlobalFree(m_hDevMode);
    if (m_hDevNames != NULL)
        ::GlobalFree(m_hDevNames);
    m_hDevMode = pd.m_pd.hDevMode;
    m_hDevNames = pd.m_pd.hDevNames;
}

BOOL CWinApp::GetPrinterDeviceDefaults(PRINTDLG* pPrintDlg)
{
    UpdatePrinterSelection(FALSE);
    if (m_hDevNames == NULL || pPrintDlg == NULL)
        return FALSE;
    pPrintDlg->hDevMode = m_hDevMode;
    pPrintDlg->hDevNames = m_hDevNames;
    return TRUE;
}

INT_PTR CWinApp::DoPrintDialog(CPrintDialog* pPD)
{
    UpdatePrinterSelection(FALSE);
    pPD->m_pd.hDevMode = m_hDevMode;
    pPD->m_pd.hDevNames = m_hDevNames;
    INT_PTR nResult = pPD->DoModal();
    // The dialog may have replaced the printer description.
    if (pPD->m_pd.hDevMode != m_hDevMode && m_hDevMode != NULL)
        ::GlobalFree(m_hDevMode);
    if (pPD->m_pd.hDevNames != m_hDevNames && m_hDevNames != NULL)
        ::GlobalFree(m_hDevNames);
    m_hDevMode = pPD->m_pd.hDevMode;
    m_hDevNames = pPD->m_pd.hDevNames;
    return nResult;
}

void CWinApp::OnFilePrintSetup()
{
    CPrintDialog pd(TRUE);
    DoPrintDialog(&pd);
}
