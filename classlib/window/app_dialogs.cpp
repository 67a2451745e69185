// CWinApp: the file and printer dialogs behind the standard commands.
#include "wndimpl.h"
#include <afxdlgs.h>

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
