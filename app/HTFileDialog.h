// The open dialog of puzzle files, widened by a preview pane: whenever the
// player selects a file it is read quietly into a private position and drawn
// small beside the file list. A file that cannot be read shows an empty
// 9 x 9 grid with the placeholder picture.
#pragma once

#include <afxwin.h>
#include <afxdlgs.h>

#include "HTDataContainer.h"
#include "HTPreviewCtrl.h"

// The control id of the preview pane, and the file list of the system's
// open dialog.
#define IDC_HT_FILE_PREVIEW 1015
#define IDC_HT_FILE_LIST 1120

class CHTFileDialog;

// The visible frame of the open dialog, subclassed while it is open: its
// OK (a click or Enter) first completes a name typed without an extension.
class CHTFileDialogFrame : public CWnd
{
public:
    CHTFileDialogFrame() : m_pDialog(NULL) {}
    CHTFileDialog* m_pDialog;

protected:
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
};

class CHTFileDialog : public CFileDialog
{
    DECLARE_DYNAMIC(CHTFileDialog)
public:
    // An open dialog of "*.hti" files with the filter ("Name|pattern|...||").
    CHTFileDialog(LPCTSTR lpszFilter, CWnd* pParentWnd = NULL);
    virtual ~CHTFileDialog();

    virtual BOOL OnInitDialog();

    // Reads the file quietly into the preview, with the rule marks of its
    // marking (an empty 9 x 9 grid with the placeholder picture when it
    // cannot be read), and redraws the pane. TRUE when the file was read.
    BOOL ShowPreviewOf(LPCTSTR lpszPath);

    // Where the preview pane goes in a frame client area: 20 pixels right of
    // the file list, 200 wide, as high as the list.
    static CRect AFX_CDECL CalcPreviewRect(const CRect& rcFileList);

    // The name for OK to take: a name typed without an extension that names
    // no file, while the name with the default extension does, gets the
    // extension. The folder is the one the dialog shows (for a relative
    // name). Any other name comes back as it is.
    static CString AFX_CDECL CompleteTypedName(const CString& strTyped, const CString& strFolder,
                                               const CString& strDefExt);
    // Applies CompleteTypedName to the dialog's file name box.
    void CompleteNameBox();

public:
    CHTDataContainer m_previewContainer;
    CHTPreviewCtrl m_wndPreview;
    CHTFileDialogFrame m_wndFrame;

protected:
    virtual void OnFileNameChange();
};
