// Common dialogs: file, colour and print, run through the system's
// functions with a hook that subclasses the dialog to its object.
#include <afxdlgs.h>

#include <string.h>

IMPLEMENT_DYNAMIC(CCommonDialog, CDialog)
IMPLEMENT_DYNAMIC(CFileDialog, CCommonDialog)
IMPLEMENT_DYNAMIC(CColorDialog, CCommonDialog)
IMPLEMENT_DYNAMIC(CPrintDialog, CCommonDialog)

namespace
{
// The part of a path after its last separator.
CString FileNameOf(const CString& strPath)
{
    int nSlash = strPath.ReverseFind('\\');
    int nForward = strPath.ReverseFind('/');
    if (nForward > nSlash)
        nSlash = nForward;
    return strPath.Mid(nSlash + 1);
}

// Subclasses a common dialog's window to its object and runs OnInitDialog.
// Answers what the hook must return for WM_INITDIALOG.
UINT_PTR AttachCommonDialog(CDialog* pDlg, HWND hWnd, LPCTSTR lpszWhere)
{
    if (pDlg == NULL || hWnd == NULL)
        return 0;
    try
    {
        if (pDlg->m_hWnd != NULL || !pDlg->SubclassWindow(hWnd))
            return 0;
        return (UINT_PTR)pDlg->OnInitDialog();
    }
    catch (CException* e)
    {
        AfxReportCallbackException(lpszWhere, e, NULL);
        e->Delete();
    }
    catch (...)
    {
        AfxReportCallbackException(lpszWhere, NULL, NULL);
    }
    return 0;
}

// After the system's dialog has returned: the window is gone, the object
// must not keep it.
void ReleaseCommonDialog(CDialog* pDlg, HWND hWndTop)
{
    if (pDlg->m_hWnd != NULL && !::IsWindow(pDlg->m_hWnd))
        pDlg->Detach();
    if (hWndTop != NULL && ::IsWindow(hWndTop))
        ::EnableWindow(hWndTop, TRUE);
}
} // namespace

// ---------------------------------------------------------------------------
// CCommonDialog

CCommonDialog::CCommonDialog(CWnd* pParentWnd) : CDialog((UINT)0, pParentWnd)
{
}

CCommonDialog::~CCommonDialog()
{
}

void CCommonDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    // The system's dialog does its own OK processing and ends itself.
    Default();
}

void CCommonDialog::OnCancel()
{
    Default();
}

// ---------------------------------------------------------------------------
// CFileDialog

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName,
                         DWORD dwFlags, LPCTSTR lpszFilter, CWnd* pParentWnd)
    : CCommonDialog(pParentWnd), m_bOpenFileDialog(bOpenFileDialog)
{
    memset(&m_ofn, 0, sizeof(m_ofn));
    m_szFileName[0] = '\0';
    m_szFileTitle[0] = '\0';
    m_ofn.lStructSize = sizeof(m_ofn);
    m_ofn.lpstrFile = m_szFileName;
    m_ofn.nMaxFile = (DWORD)(sizeof(m_szFileName) / sizeof(m_szFileName[0]));
    m_ofn.lpstrFileTitle = m_szFileTitle;
    m_ofn.nMaxFileTitle = (DWORD)(sizeof(m_szFileTitle) / sizeof(m_szFileTitle[0]));
    m_ofn.Flags = dwFlags | OFN_ENABLEHOOK | OFN_EXPLORER;
    m_ofn.lpfnHook = HookProc;
    m_ofn.lCustData = (LPARAM)this;
    m_ofn.hInstance = AfxGetResourceHandle();

    if (lpszDefExt != NULL)
    {
        m_strDefExt = lpszDefExt;
        m_ofn.lpstrDefExt = m_strDefExt;
    }
    if (lpszFileName != NULL)
        lstrcpyn(m_szFileName, lpszFileName, (int)(sizeof(m_szFileName) / sizeof(m_szFileName[0])));
    if (lpszFilter != NULL)
    {
        // "Name|pattern|...||": the separators become NULs and the list ends
        // with two of them whatever the caller wrote.
        size_t nLength = strlen(lpszFilter);
        m_filter.assign(lpszFilter, lpszFilter + nLength);
        for (TCHAR& ch : m_filter)
        {
            if (ch == '|')
                ch = '\0';
        }
        m_filter.push_back('\0');
        m_filter.push_back('\0');
        m_ofn.lpstrFilter = &m_filter[0];
    }
}

CFileDialog::~CFileDialog()
{
}

INT_PTR CFileDialog::DoModal()
{
    HWND hWndTop = NULL;
    m_ofn.hwndOwner = CWnd::GetSafeOwner_(m_pParentWnd->GetSafeHwnd(), &hWndTop);
    m_ofn.lCustData = (LPARAM)this;
    m_ofn.lpfnHook = HookProc;
    m_ofn.Flags |= OFN_ENABLEHOOK | OFN_EXPLORER;
    m_ofn.lpstrFile = m_szFileName;
    m_ofn.lpstrFileTitle = m_szFileTitle;
    m_szFileName[sizeof(m_szFileName) / sizeof(m_szFileName[0]) - 1] = '\0';

    BOOL bResult = m_bOpenFileDialog ? ::GetOpenFileName(&m_ofn) : ::GetSaveFileName(&m_ofn);
    ReleaseCommonDialog(this, hWndTop);
    return bResult ? IDOK : IDCANCEL;
}

UINT_PTR CALLBACK CFileDialog::HookProc(HWND hWnd, UINT message, WPARAM, LPARAM lParam)
{
    // Every other message reaches the object through its subclassed
    // procedure; answering 0 leaves them to the dialog manager.
    if (message != WM_INITDIALOG || lParam == 0)
        return 0;
    const OPENFILENAME* pOfn = (const OPENFILENAME*)lParam;
    CFileDialog* pDlg = (CFileDialog*)pOfn->lCustData;
    return AttachCommonDialog(pDlg, hWnd, "file dialog");
}

BOOL CFileDialog::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const OFNOTIFY* pNotify = (const OFNOTIFY*)lParam;
    if (pNotify == NULL)
        return CCommonDialog::OnNotify(wParam, lParam, pResult);
    LRESULT lResult = 0;
    switch (pNotify->hdr.code)
    {
    case CDN_INITDONE:
        OnInitDone();
        break;
    case CDN_SELCHANGE:
        OnFileNameChange();
        break;
    case CDN_FOLDERCHANGE:
        OnFolderChange();
        break;
    case CDN_TYPECHANGE:
        OnTypeChange();
        break;
    case CDN_SHAREVIOLATION:
        lResult = (LRESULT)OnShareViolation(pNotify->pszFile);
        break;
    case CDN_FILEOK:
        lResult = OnFileNameOK() ? 1 : 0;
        break;
    default:
        return CCommonDialog::OnNotify(wParam, lParam, pResult);
    }
    // The dialog reads a hook dialog's answer from its message result.
    ::SetWindowLongPtr(m_hWnd, DWLP_MSGRESULT, (LONG_PTR)lResult);
    if (pResult != NULL)
        *pResult = lResult;
    return TRUE;
}

BOOL CFileDialog::OnFileNameOK()
{
    return FALSE;
}

void CFileDialog::OnInitDone()
{
}

void CFileDialog::OnFileNameChange()
{
}

void CFileDialog::OnFolderChange()
{
}

void CFileDialog::OnTypeChange()
{
}

UINT CFileDialog::OnShareViolation(LPCTSTR)
{
    return OFN_SHAREWARN;
}

CString CFileDialog::GetPathName() const
{
    if (m_hWnd != NULL)
    {
        // Ask the visible dialog; grow the buffer when it says so.
        HWND hDialog = ::GetParent(m_hWnd);
        int nSize = MAX_PATH;
        for (int nTry = 0; nTry < 3 && hDialog != NULL; ++nTry)
        {
            CString strPath;
            LPTSTR pBuffer = strPath.GetBuffer(nSize);
            pBuffer[0] = '\0';
            LRESULT lNeeded = ::SendMessage(hDialog, CDM_GETFILEPATH, (WPARAM)nSize, (LPARAM)pBuffer);
            pBuffer[nSize - 1] = '\0';
            strPath.ReleaseBuffer();
            if (lNeeded < 0)
                break;
            if (lNeeded <= nSize)
                return strPath;
            nSize = (int)lNeeded;
        }
        return CString();
    }
    // Afterwards: the buffer, or its first name for a multiple selection.
    CString strPath(m_szFileName);
    if ((m_ofn.Flags & OFN_ALLOWMULTISELECT) != 0)
    {
        POSITION pos = GetStartPosition();
        if (pos != NULL)
            strPath = GetNextPathName(pos);
    }
    return strPath;
}

CString CFileDialog::GetFileName() const
{
    return FileNameOf(GetPathName());
}

CString CFileDialog::GetFileExt() const
{
    CString strName = GetFileName();
    int nDot = strName.ReverseFind('.');
    return nDot >= 0 ? strName.Mid(nDot + 1) : CString();
}

CString CFileDialog::GetFileTitle() const
{
    CString strName = GetFileName();
    int nDot = strName.ReverseFind('.');
    return nDot >= 0 ? strName.Left(nDot) : strName;
}

CString CFileDialog::GetFolderPath() const
{
    CString strPath;
    HWND hDialog = m_hWnd != NULL ? ::GetParent(m_hWnd) : NULL;
    if (hDialog == NULL)
        return strPath;
    LPTSTR pBuffer = strPath.GetBuffer(MAX_PATH);
    pBuffer[0] = '\0';
    LRESULT lNeeded = ::SendMessage(hDialog, CDM_GETFOLDERPATH, MAX_PATH, (LPARAM)pBuffer);
    pBuffer[MAX_PATH - 1] = '\0';
    strPath.ReleaseBuffer();
    if (lNeeded < 0 || lNeeded > MAX_PATH)
        strPath.Empty();
    return strPath;
}

BOOL CFileDialog::GetReadOnlyPref() const
{
    return (m_ofn.Flags & OFN_READONLY) != 0;
}

POSITION CFileDialog::GetStartPosition() const
{
    return m_szFileName[0] != '\0' ? (POSITION)m_szFileName : NULL;
}

CString CFileDialog::GetNextPathName(POSITION& pos) const
{
    // Buffer layout after a multiple selection: "folder\0name\0name\0\0";
    // after a single one: "path\0\0".  Never read past the buffer.
    const TCHAR* pBegin = m_szFileName;
    const TCHAR* pEnd = m_szFileName + sizeof(m_szFileName) / sizeof(m_szFileName[0]);
    const TCHAR* p = (const TCHAR*)pos;
    if (p == NULL || p < pBegin || p >= pEnd)
    {
        pos = NULL;
        return CString();
    }
    auto nextString = [pEnd](const TCHAR* q) -> const TCHAR* {
        while (q < pEnd && *q != '\0')
            ++q;
        return q < pEnd ? q + 1 : pEnd;
    };
    size_t nFirstLength = strnlen(pBegin, (size_t)(pEnd - pBegin));
    CString strFirst(pBegin, (int)nFirstLength);
    if ((m_ofn.Flags & OFN_ALLOWMULTISELECT) == 0)
    {
        pos = NULL;
        return strFirst;
    }
    if (p == pBegin)
    {
        const TCHAR* pName = nextString(pBegin);
        if (pName >= pEnd || *pName == '\0')
        {
            pos = NULL; // one file: the whole path
            return strFirst;
        }
        p = pName;
    }
    size_t nLength = strnlen(p, (size_t)(pEnd - p));
    CString strName(p, (int)nLength);
    const TCHAR* pNext = nextString(p);
    pos = (pNext < pEnd && *pNext != '\0') ? (POSITION)pNext : NULL;
    CString strPath = strFirst;
    if (!strPath.IsEmpty() && strPath[strPath.GetLength() - 1] != '\\')
        strPath += '\\';
    return strPath + strName;
}

void CFileDialog::SetControlText(int nID, LPCTSTR lpsz)
{
    HWND hDialog = m_hWnd != NULL ? ::GetParent(m_hWnd) : NULL;
    if (hDialog != NULL)
        ::SendMessage(hDialog, CDM_SETCONTROLTEXT, (WPARAM)nID, (LPARAM)lpsz);
}

void CFileDialog::HideControl(int nID)
{
    HWND hDialog = m_hWnd != NULL ? ::GetParent(m_hWnd) : NULL;
    if (hDialog != NULL)
        ::SendMessage(hDialog, CDM_HIDECONTROL, (WPARAM)nID, 0);
}

void CFileDialog::SetDefExt(LPCSTR lpsz)
{
    m_strDefExt = lpsz != NULL ? lpsz : "";
    m_ofn.lpstrDefExt = lpsz != NULL ? (LPCTSTR)m_strDefExt : NULL;
    HWND hDialog = m_hWnd != NULL ? ::GetParent(m_hWnd) : NULL;
    if (hDialog != NULL)
        ::SendMessage(hDialog, CDM_SETDEFEXT, 0, (LPARAM)m_ofn.lpstrDefExt);
}

// ---------------------------------------------------------------------------
// CColorDialog

COLORREF* PASCAL CColorDialog::GetSavedCustomColors()
{
    static COLORREF s_custom[16] = {
        RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
        RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
        RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
        RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255)};
    return s_custom;
}

CColorDialog::CColorDialog(COLORREF clrInit, DWORD dwFlags, CWnd* pParentWnd)
    : CCommonDialog(pParentWnd)
{
    memset(&m_cc, 0, sizeof(m_cc));
    m_cc.lStructSize = sizeof(m_cc);
    m_cc.lpCustColors = GetSavedCustomColors();
    m_cc.Flags = dwFlags | CC_ENABLEHOOK;
    m_cc.lpfnHook = HookProc;
    m_cc.lCustData = (LPARAM)this;
    m_cc.rgbResult = clrInit;
    if (clrInit != 0)
        m_cc.Flags |= CC_RGBINIT;
}

CColorDialog::~CColorDialog()
{
}

INT_PTR CColorDialog::DoModal()
{
    HWND hWndTop = NULL;
    m_cc.hwndOwner = CWnd::GetSafeOwner_(m_pParentWnd->GetSafeHwnd(), &hWndTop);
    m_cc.lCustData = (LPARAM)this;
    m_cc.lpfnHook = HookProc;
    m_cc.Flags |= CC_ENABLEHOOK;
    BOOL bResult = ::ChooseColor(&m_cc);
    ReleaseCommonDialog(this, hWndTop);
    return bResult ? IDOK : IDCANCEL;
}

void CColorDialog::SetCurrentColor(COLORREF clr)
{
    if (m_hWnd != NULL)
    {
        static const UINT s_nMsgSetRGB = ::RegisterWindowMessage(SETRGBSTRING);
        ::SendMessage(m_hWnd, s_nMsgSetRGB, 0, (LPARAM)clr);
        return;
    }
    m_cc.rgbResult = clr;
    m_cc.Flags |= CC_RGBINIT;
}

UINT_PTR CALLBACK CColorDialog::HookProc(HWND hWnd, UINT message, WPARAM, LPARAM lParam)
{
    if (message != WM_INITDIALOG || lParam == 0)
        return 0;
    const CHOOSECOLOR* pcc = (const CHOOSECOLOR*)lParam;
    return AttachCommonDialog((CColorDialog*)pcc->lCustData, hWnd, "colour dialog");
}

LRESULT CColorDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    static const UINT s_nMsgColorOK = ::RegisterWindowMessage(COLOROKSTRING);
    if (message == s_nMsgColorOK && message != 0)
        return OnColorOK() ? 1 : 0;
    return CCommonDialog::WindowProc(message, wParam, lParam);
}

BOOL CColorDialog::OnColorOK()
{
    return FALSE;
}

// ---------------------------------------------------------------------------
// CPrintDialog

CPrintDialog::CPrintDialog(BOOL bPrintSetupOnly, DWORD dwFlags, CWnd* pParentWnd)
    : CCommonDialog(pParentWnd)
{
    memset(&m_pd, 0, sizeof(m_pd));
    m_pd.lStructSize = sizeof(m_pd);
    m_pd.Flags = dwFlags | PD_ENABLEPRINTHOOK | PD_ENABLESETUPHOOK;
    if (bPrintSetupOnly)
        m_pd.Flags |= PD_PRINTSETUP;
    else
        m_pd.Flags |= PD_RETURNDC;
    m_pd.lpfnPrintHook = (LPPRINTHOOKPROC)HookProc;
    m_pd.lpfnSetupHook = (LPSETUPHOOKPROC)HookProc;
    m_pd.lCustData = (LPARAM)this;
    m_pd.nCopies = 1;
    m_pd.nMinPage = 1;
    m_pd.nMaxPage = 0xFFFF;
    m_pd.nFromPage = 1;
    m_pd.nToPage = 0xFFFF;
}

CPrintDialog::~CPrintDialog()
{
}

INT_PTR CPrintDialog::DoModal()
{
    HWND hWndTop = NULL;
    m_pd.hwndOwner = CWnd::GetSafeOwner_(m_pParentWnd->GetSafeHwnd(), &hWndTop);
    m_pd.lCustData = (LPARAM)this;
    BOOL bResult = ::PrintDlg(&m_pd);
    ReleaseCommonDialog(this, hWndTop);
    return bResult ? IDOK : IDCANCEL;
}

BOOL CPrintDialog::GetDefaults()
{
    DWORD dwOldFlags = m_pd.Flags;
    m_pd.hDC = NULL;
    m_pd.Flags |= PD_RETURNDEFAULT;
    m_pd.Flags &= ~(PD_ENABLEPRINTHOOK | PD_ENABLESETUPHOOK);
    m_pd.hwndOwner = NULL;
    BOOL bResult = ::PrintDlg(&m_pd);
    m_pd.Flags = dwOldFlags;
    return bResult;
}

HDC PASCAL CPrintDialog::CreatePrinterDC(HGLOBAL hDevNames, HGLOBAL hDevMode)
{
    if (hDevNames == NULL)
        return NULL;
    SIZE_T nSize = ::GlobalSize(hDevNames);
    const DEVNAMES* pNames = (const DEVNAMES*)::GlobalLock(hDevNames);
    if (pNames == NULL)
        return NULL;
    HDC hDC = NULL;
    // The offsets come from the block: they must point inside it.
    if (nSize >= sizeof(DEVNAMES) && pNames->wDriverOffset < nSize && pNames->wDeviceOffset < nSize &&
        pNames->wOutputOffset < nSize)
    {
        const char* pBase = (const char*)pNames;
        const DEVMODE* pMode = hDevMode != NULL ? (const DEVMODE*)::GlobalLock(hDevMode) : NULL;
        hDC = ::CreateDC(pBase + pNames->wDriverOffset, pBase + pNames->wDeviceOffset,
                         pBase + pNames->wOutputOffset, pMode);
        if (pMode != NULL)
            ::GlobalUnlock(hDevMode);
    }
    ::GlobalUnlock(hDevNames);
    return hDC;
}

HDC CPrintDialog::GetPrinterDC() const
{
    return CreatePrinterDC(m_pd.hDevNames, m_pd.hDevMode);
}

int CPrintDialog::GetCopies() const
{
    if ((m_pd.Flags & PD_USEDEVMODECOPIES) != 0 && m_pd.hDevMode != NULL)
    {
        const DEVMODE* pMode = (const DEVMODE*)::GlobalLock(m_pd.hDevMode);
        int nCopies = pMode != NULL ? pMode->dmCopies : 1;
        ::GlobalUnlock(m_pd.hDevMode);
        return nCopies;
    }
    return m_pd.nCopies;
}

int CPrintDialog::GetFromPage() const
{
    return PrintRange() ? m_pd.nFromPage : -1;
}

int CPrintDialog::GetToPage() const
{
    return PrintRange() ? m_pd.nToPage : -1;
}

CString CPrintDialog::DevNamesField(int nField) const
{
    CString str;
    if (m_pd.hDevNames == NULL)
        return str;
    SIZE_T nSize = ::GlobalSize(m_pd.hDevNames);
    const DEVNAMES* pNames = (const DEVNAMES*)::GlobalLock(m_pd.hDevNames);
    if (pNames == NULL)
        return str;
    if (nSize >= sizeof(DEVNAMES))
    {
        WORD wOffset = nField == 0 ? pNames->wDriverOffset
                                   : nField == 1 ? pNames->wDeviceOffset : pNames->wOutputOffset;
        if (wOffset < nSize)
        {
            const char* p = (const char*)pNames + wOffset;
            str = CString(p, (int)strnlen(p, nSize - wOffset));
        }
    }
    ::GlobalUnlock(m_pd.hDevNames);
    return str;
}

CString CPrintDialog::GetDriverName() const
{
    return DevNamesField(0);
}

CString CPrintDialog::GetDeviceName() const
{
    return DevNamesField(1);
}

CString CPrintDialog::GetPortName() const
{
    return DevNamesField(2);
}

UINT_PTR CALLBACK CPrintDialog::HookProc(HWND hWnd, UINT message, WPARAM, LPARAM lParam)
{
    if (message != WM_INITDIALOG || lParam == 0)
        return 0;
    const PRINTDLG* pd = (const PRINTDLG*)lParam;
    return AttachCommonDialog((CPrintDialog*)pd->lCustData, hWnd, "print dialog");
}
