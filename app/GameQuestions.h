// The modal questions the game asks with a system or game dialog: the
// profiles of a new puzzle, a file to open or save, and the printer. Each can
// be replaced (tests and unattended runs, where a modal dialog would block).
#pragma once

#include <afxwin.h>
#include <afxdlgs.h>

// The new-puzzle dialog: TRUE on OK with the chosen profile indexes (-1 for
// a kind without a choice).
BOOL AFXAPI AskNewPuzzleProfiles(int& nGradeIndex, int& nAppearanceIndex);
typedef BOOL(AFXAPI* PFN_ASKNEWPUZZLE)(int& nGradeIndex, int& nAppearanceIndex);
PFN_ASKNEWPUZZLE AFXAPI SetNewPuzzleQuestion(PFN_ASKNEWPUZZLE pfnAsk);

// The open dialog of puzzle files with its preview (bOpen), or the class
// library's save dialog with the default extension, hide-read-only and
// overwrite-prompt. TRUE on OK with the full path.
BOOL AFXAPI AskPuzzleFileToOpen(CString& strPath, LPCTSTR lpszFilter, CWnd* pParentWnd);
BOOL AFXAPI AskFileToSave(CString& strPath, LPCTSTR lpszDefExt, LPCTSTR lpszFilter, CWnd* pParentWnd);
typedef BOOL(AFXAPI* PFN_ASKFILE)(BOOL bOpen, CString& strPath, LPCTSTR lpszDefExt, LPCTSTR lpszFilter);
PFN_ASKFILE AFXAPI SetFileQuestion(PFN_ASKFILE pfnAsk);

// The print dialog, starting from the printer chosen before (Print Setup or
// an earlier print dialog); the choice is kept for the next time. The
// replacement fills in the printer or answers IDCANCEL.
INT_PTR AFXAPI AskForPrinter(CPrintDialog& dlg);
typedef INT_PTR(AFXAPI* PFN_ASKPRINTER)(CPrintDialog& dlg);
PFN_ASKPRINTER AFXAPI SetPrinterQuestion(PFN_ASKPRINTER pfnAsk);
