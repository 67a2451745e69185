// The open dialog with its preview pane.
#include "HTFileDialog.h"

IMPLEMENT_DYNAMIC(CHTFileDialog, CFileDialog)

namespace
{
// How much wider the dialog becomes for the preview pane.
const int kPreviewExtraWidth = 230;
const int kPreviewGap = 20;
const int kPreviewWidth = 200;
}

CHTFileDialog::CHTFileDialog(LPCTSTR lpszFilter, CWnd* pParentWnd)
    : CFileDialog(TRUE, "hti", NULL, OFN_FILEMUSTEXIST | OFN_HIDEREADONLY, lpszFilter, pParentWnd)
{
}

CHTFileDialog::~CHTFileDialog()
{
}

CRect AFX_CDECL CHTFileDialog::CalcPreviewRect(const CRect& rcFileList)
{
    CRect rcPreview;
    rcPreview.left = rcFileList.right + kPreviewGap;
    rcPreview.right = rcPreview.left + kPreviewWidth;
    rcPreview.top = rcFileList.top;
    rcPreview.bottom = rcFileList.bottom;
    return rcPreview;
}

BOOL CHTFileDialog::OnInitDialog()
{
    CFileDialog::OnInitDialog();

    CWnd* pFrame = GetParent();
    if (pFrame == NULL)
        return TRUE;

    // The visible dialog grows to the right by the pane's room.
    CRect rcFrame;
    pFrame->GetWindowRect(&rcFrame);
    CRect rcOldClient;
    pFrame->GetClientRect(&rcOldClient);
    pFrame->SetWindowPos(NULL, 0, 0, rcFrame.Width() + kPreviewExtraWidth, rcFrame.Height(),
                         SWP_NOMOVE | SWP_NOZORDER);

    CRect rcList;
    CWnd* pList = pFrame->GetDlgItem(IDC_HT_FILE_LIST);
    if (pList != NULL)
    {
        pList->GetWindowRect(&rcList);
        pFrame->ScreenToClient(&rcList);
    }
    else
    {
        // Some systems build the dialog without that list: the pane then
        // takes the new room at the right, clear of the buttons below.
        rcList.SetRect(rcOldClient.left, 7, rcOldClient.right - kPreviewGap + 5, rcOldClient.bottom - 60);
    }

    m_previewContainer.SetGridSize(9, 9);
    const CRect rcPreview = CalcPreviewRect(rcList);
    if (!m_wndPreview.Create("Proba", WS_CHILD | WS_VISIBLE | SS_BITMAP, rcPreview, pFrame, IDC_HT_FILE_PREVIEW))
    {
        TRACE("CHTFileDialog: the preview pane could not be created\n");
        return TRUE;
    }
    m_wndPreview.SetContainer(&m_previewContainer, FALSE);
    return TRUE;
}

BOOL CHTFileDialog::ShowPreviewOf(LPCTSTR lpszPath)
{
    CHTDataContainer container;
    const BOOL bRead = lpszPath != NULL && container.ReadFromFile(lpszPath, TRUE);
    if (bRead)
        m_previewContainer.CopyFrom(container);
    else
        m_previewContainer.SetGridSize(9, 9);
    m_wndPreview.SetContainer(&m_previewContainer, !bRead);
    return bRead;
}

void CHTFileDialog::OnFileNameChange()
{
    // A selection that names no file (a folder, or nothing, as some systems
    // report when the dialog opens) shows the empty grid, not the
    // placeholder of an unreadable file.
    const CString strPath = GetPathName();
    const DWORD dwAttributes = strPath.IsEmpty() ? INVALID_FILE_ATTRIBUTES : ::GetFileAttributesA(strPath);
    if (strPath.IsEmpty() || (dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & FILE_ATTRIBUTE_DIRECTORY)))
    {
        m_previewContainer.SetGridSize(9, 9);
        m_wndPreview.SetContainer(&m_previewContainer, FALSE);
        return;
    }
    ShowPreviewOf(strPath);
}
