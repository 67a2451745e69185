// The game's replaceable modal questions.
#include "GameQuestions.h"

#include "HTFileDialog.h"
#include "NewPuzzleDlg.h"

namespace
{
PFN_ASKNEWPUZZLE s_pfnAskNewPuzzle = NULL;
PFN_ASKFILE s_pfnAskFile = NULL;
PFN_ASKPRINTER s_pfnAskPrinter = NULL;

template <class T>
T Replace(T& pfnSlot, T pfnNew)
{
    T pfnPrevious = pfnSlot;
    pfnSlot = pfnNew;
    return pfnPrevious;
}
} // namespace

PFN_ASKNEWPUZZLE AFXAPI SetNewPuzzleQuestion(PFN_ASKNEWPUZZLE pfnAsk)
{
    return Replace(s_pfnAskNewPuzzle, pfnAsk);
}

PFN_ASKFILE AFXAPI SetFileQuestion(PFN_ASKFILE pfnAsk)
{
    return Replace(s_pfnAskFile, pfnAsk);
}

PFN_ASKPRINTER AFXAPI SetPrinterQuestion(PFN_ASKPRINTER pfnAsk)
{
    return Replace(s_pfnAskPrinter, pfnAsk);
}

BOOL AFXAPI AskNewPuzzleProfiles(int& nGradeIndex, int& nAppearanceIndex)
{
    if (s_pfnAskNewPuzzle != NULL)
        return s_pfnAskNewPuzzle(nGradeIndex, nAppearanceIndex);
    CNewPuzzleDlg dlg;
    if (dlg.DoModal() != IDOK)
        return FALSE;
    nGradeIndex = dlg.m_nGradeIndex;
    nAppearanceIndex = dlg.m_nAppearanceIndex;
    return TRUE;
}

BOOL AFXAPI AskPuzzleFileToOpen(CString& strPath, LPCTSTR lpszFilter, CWnd* pParentWnd)
{
    if (s_pfnAskFile != NULL)
        return s_pfnAskFile(TRUE, strPath, "hti", lpszFilter);
    CHTFileDialog dlg(lpszFilter, pParentWnd);
    if (dlg.DoModal() != IDOK)
        return FALSE;
    strPath = dlg.GetPathName();
    return TRUE;
}

BOOL AFXAPI AskFileToSave(CString& strPath, LPCTSTR lpszDefExt, LPCTSTR lpszFilter, CWnd* pParentWnd)
{
    if (s_pfnAskFile != NULL)
        return s_pfnAskFile(FALSE, strPath, lpszDefExt, lpszFilter);
    CFileDialog dlg(FALSE, lpszDefExt, NULL, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, lpszFilter, pParentWnd);
    if (dlg.DoModal() != IDOK)
        return FALSE;
    strPath = dlg.GetPathName();
    return TRUE;
}

INT_PTR AFXAPI AskForPrinter(CPrintDialog& dlg)
{
    if (s_pfnAskPrinter != NULL)
        return s_pfnAskPrinter(dlg);
    // The dialog starts from the printer chosen in Print Setup (or in the
    // last print dialog), and the one chosen now is kept for the next time.
    CWinApp* pApp = AfxGetApp();
    return pApp != NULL ? pApp->DoPrintDialog(&dlg) : dlg.DoModal();
}
