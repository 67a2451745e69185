// The open dialog with its preview pane.
#include "HTFileDialog.h"

#include <algorithm>

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
    if (m_wndFrame.GetSafeHwnd() != NULL)
        m_wndFrame.UnsubclassWindow();
}

namespace
{
// The file name box of the system's open dialog: a combo box on newer
// systems, an edit box on older ones.
const int kNameCombo = 0x47c;
const int kNameEdit = 0x480;

BOOL IsExistingFile(const CString& strPath)
{
    const DWORD dwAttributes = ::GetFileAttributesA(strPath);
    return dwAttributes != INVALID_FILE_ATTRIBUTES && !(dwAttributes & FILE_ATTRIBUTE_DIRECTORY);
}
} // namespace

LRESULT CHTFileDialogFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND && LOWORD(wParam) == IDOK && m_pDialog != NULL)
        m_pDialog->CompleteNameBox();
    return CWnd::WindowProc(message, wParam, lParam);
}

CString AFX_CDECL CHTFileDialog::CompleteTypedName(const CString& strTyped, const CString& strFolder,
                                                   const CString& strDefExt)
{
    CString strName(strTyped);
    strName.Trim();
    // Several names, wildcards, or a name that has an extension: as typed.
    if (strName.IsEmpty() || strDefExt.IsEmpty() || strName.FindOneOf("*?\"<>|") >= 0)
        return strTyped;
    const int nSlash = std::max(strName.ReverseFind('\\'), strName.ReverseFind('/'));
    const CString strLast = strName.Mid(nSlash + 1);
    if (strLast.IsEmpty() || strLast.Find('.') >= 0)
        return strTyped;

    const BOOL bAbsolute = (strName.GetLength() >= 2 && strName[1] == ':') || strName[0] == '\\' ||
                           strName[0] == '/';
    CString strPath = strName;
    if (!bAbsolute && !strFolder.IsEmpty())
    {
        strPath = strFolder;
        if (strPath.Right(1) != "\\" && strPath.Right(1) != "/")
            strPath += "\\";
        strPath += strName;
    }
    if (IsExistingFile(strPath) || !IsExistingFile(strPath + "." + strDefExt))
        return strTyped;
    return strName + "." + strDefExt;
}

void CHTFileDialog::CompleteNameBox()
{
    CWnd* pFrame = GetParent();
    if (pFrame == NULL)
        return;
    HWND hName = ::GetDlgItem(pFrame->m_hWnd, kNameCombo);
    if (hName == NULL)
        hName = ::GetDlgItem(pFrame->m_hWnd, kNameEdit);
    if (hName == NULL)
        return;
    char szTyped[MAX_PATH * 2] = "";
    ::GetWindowTextA(hName, szTyped, (int)sizeof(szTyped));
    const CString strCompleted = CompleteTypedName(szTyped, GetFolderPath(), m_strDefExt);
    if (strCompleted != szTyped)
        ::SetWindowTextA(hName, strCompleted);
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

    // The platform's dialog refuses a name typed without its extension
    // before it tries the default one: the frame's OK completes it first.
    m_wndFrame.m_pDialog = this;
    if (!m_wndFrame.SubclassWindow(pFrame->m_hWnd))
        TRACE("CHTFileDialog: the dialog frame could not be subclassed\n");

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
    {
        // The file keeps the marks of the position it was saved from, which
        // an older game may have left stale: the preview shows the marks of
        // the marking, as the board will once the file is opened.
        container.RefreshRuleMarks();
        m_previewContainer.CopyFrom(container);
    }
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
