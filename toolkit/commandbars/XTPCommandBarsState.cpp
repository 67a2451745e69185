// Saving and loading where the bars stand (docked or floating, their rows,
// visibility, remembered docking) and, for customizable bars, what they hold.
#include "XTPCommandBarsState.h"

#include "XTPCommandBars.h"
#include "XTPCommandBarsExchange.h"
#include "XTPCommandBarsOptions.h"
#include "XTPDialogBar.h"
#include "XTPDockBar.h"
#include "XTPDockContext.h"
#include "XTPMenuBar.h"
#include "XTPPropExchange.h"
#include "XTPSystemHelpers.h"
#include "XTPToolBar.h"
#include "XTPZipMemFile.h"

#include <shlobj.h>
#include <shlwapi.h>

namespace {

// The size from which the controls go to a file of their own.
const DWORD kMaxProfileControls = 16000;

CWinApp* ProfileApp()
{
    return AfxGetApp();
}

// While a save or load of the bar state runs, the application's registry
// key is opened once for all its sections instead of once per section.
HKEY s_hHeldAppKey = NULL;

class CHeldAppKey
{
public:
    CHeldAppKey() : m_bOwner(FALSE)
    {
        CWinApp* pApp = ProfileApp();
        if (s_hHeldAppKey != NULL || pApp == NULL || pApp->m_pszRegistryKey == NULL)
            return;
        s_hHeldAppKey = pApp->GetAppRegistryKey();
        m_bOwner = s_hHeldAppKey != NULL;
    }
    ~CHeldAppKey()
    {
        if (!m_bOwner)
            return;
        ::RegCloseKey(s_hHeldAppKey);
        s_hHeldAppKey = NULL;
    }

private:
    BOOL m_bOwner;
};

// One section of the application's profile, opened once for all its values:
// a registry key when the application has a registry key, else its INI file.
// Values are written or deleted only through a section opened for changes;
// each write and delete says whether it took place.
class CProfileSection
{
public:
    enum Mode
    {
        modeRead,     // read only; a missing section reads as empty
        modeWrite,    // created when missing
        modeEmpty,    // emptied (deleted), then created
        modeChange,   // opened for changes when it exists; never created
        modeDelete    // deleted; nothing is left to read or write
    };

    CProfileSection(LPCTSTR lpszSection, Mode mode)
        : m_strSection(lpszSection), m_hKey(NULL), m_pApp(ProfileApp()), m_bWritable(mode != modeRead),
          m_bOpenFailed(FALSE)
    {
        if (m_pApp == NULL)
            return;
        if (m_pApp->m_pszRegistryKey == NULL)
        {
            if ((mode == modeEmpty || mode == modeDelete) && !m_pApp->WriteProfileString(lpszSection, NULL, NULL))
                m_bOpenFailed = TRUE;
            return;
        }
        HKEY hAppKey = s_hHeldAppKey != NULL ? s_hHeldAppKey : m_pApp->GetAppRegistryKey();
        if (hAppKey == NULL)
        {
            m_bOpenFailed = mode != modeRead;
            return;
        }
        // A section without subsections (every one written here) is deleted
        // directly, in far fewer registry calls than the general tree walk.
        if (mode == modeEmpty || mode == modeDelete)
        {
            LONG lResult = ::RegDeleteKeyA(hAppKey, lpszSection);
            if (lResult != ERROR_SUCCESS && lResult != ERROR_FILE_NOT_FOUND)
                lResult = ::SHDeleteKeyA(hAppKey, lpszSection);
            if (lResult != ERROR_SUCCESS && lResult != ERROR_FILE_NOT_FOUND)
                m_bOpenFailed = TRUE;
        }
        if (mode == modeWrite || mode == modeEmpty)
        {
            if (::RegCreateKeyExA(hAppKey, lpszSection, 0, NULL, 0, KEY_READ | KEY_WRITE, NULL, &m_hKey, NULL) !=
                ERROR_SUCCESS)
            {
                m_hKey = NULL;
                m_bOpenFailed = TRUE;
            }
        }
        else if (mode != modeDelete)
        {
            REGSAM sam = mode == modeChange ? KEY_READ | KEY_WRITE : KEY_READ;
            LONG lResult = ::RegOpenKeyExA(hAppKey, lpszSection, 0, sam, &m_hKey);
            if (lResult != ERROR_SUCCESS)
            {
                m_hKey = NULL;
                // A section that is not there holds nothing to change.
                m_bOpenFailed = mode == modeChange && lResult != ERROR_FILE_NOT_FOUND;
            }
        }
        if (hAppKey != s_hHeldAppKey)
            ::RegCloseKey(hAppKey);
        if (m_bOpenFailed)
            TRACE("CXTPCommandBars: the profile section \"%s\" cannot be opened for changes\n", lpszSection);
    }
    ~CProfileSection()
    {
        if (m_hKey != NULL)
            ::RegCloseKey(m_hKey);
    }

    // FALSE when the section could not be opened (or emptied) as asked.
    BOOL IsOpen() const { return !m_bOpenFailed; }

    int GetInt(LPCTSTR lpszEntry, int nDefault) const
    {
        if (m_pApp == NULL)
            return nDefault;
        if (m_pApp->m_pszRegistryKey == NULL)
            return (int)m_pApp->GetProfileInt(m_strSection, lpszEntry, nDefault);
        DWORD dwValue = 0, dwType = 0, dwSize = sizeof(DWORD);
        if (m_hKey == NULL ||
            ::RegQueryValueExA(m_hKey, lpszEntry, NULL, &dwType, (LPBYTE)&dwValue, &dwSize) != ERROR_SUCCESS ||
            dwType != REG_DWORD || dwSize != sizeof(DWORD))
            return nDefault;
        return (int)dwValue;
    }
    BOOL WriteInt(LPCTSTR lpszEntry, int nValue)
    {
        if (m_pApp == NULL || !CanChange(lpszEntry))
            return FALSE;
        BOOL bWritten;
        if (m_pApp->m_pszRegistryKey == NULL)
        {
            bWritten = m_pApp->WriteProfileInt(m_strSection, lpszEntry, nValue);
        }
        else
        {
            DWORD dwValue = (DWORD)nValue;
            bWritten = m_hKey != NULL && ::RegSetValueExA(m_hKey, lpszEntry, 0, REG_DWORD, (const BYTE*)&dwValue,
                                                          sizeof(DWORD)) == ERROR_SUCCESS;
        }
        if (!bWritten)
            TRACE("CXTPCommandBars: \"%s\" of \"%s\" cannot be written\n", lpszEntry, (LPCTSTR)m_strSection);
        return bWritten;
    }
    // TRUE when the value is gone (a value that was not there included).
    BOOL DeleteEntry(LPCTSTR lpszEntry)
    {
        if (m_pApp == NULL || !CanChange(lpszEntry))
            return FALSE;
        BOOL bDeleted;
        if (m_pApp->m_pszRegistryKey == NULL)
        {
            bDeleted = m_pApp->WriteProfileString(m_strSection, lpszEntry, NULL);
        }
        else if (m_hKey == NULL)
        {
            bDeleted = !m_bOpenFailed;   // no section: nothing to delete
        }
        else
        {
            LONG lResult = ::RegDeleteValueA(m_hKey, lpszEntry);
            bDeleted = lResult == ERROR_SUCCESS || lResult == ERROR_FILE_NOT_FOUND;
        }
        if (!bDeleted)
            TRACE("CXTPCommandBars: \"%s\" of \"%s\" cannot be deleted\n", lpszEntry, (LPCTSTR)m_strSection);
        return bDeleted;
    }

private:
    BOOL CanChange(LPCTSTR lpszEntry) const
    {
        if (m_bWritable)
            return TRUE;
        TRACE("CXTPCommandBars: \"%s\" of \"%s\" is changed through a section opened for reading\n", lpszEntry,
              (LPCTSTR)m_strSection);
        return FALSE;
    }

    CString m_strSection;
    HKEY m_hKey;
    CWinApp* m_pApp;
    BOOL m_bWritable;
    BOOL m_bOpenFailed;
};

CString SectionName(LPCTSTR lpszFormat, LPCTSTR lpszKey, int nIndex = -1)
{
    CString str;
    if (nIndex < 0)
        str.Format(lpszFormat, lpszKey);
    else
        str.Format(lpszFormat, lpszKey, nIndex);
    return str;
}

int GetInt(const CProfileSection* pSection, LPCTSTR lpszEntry, int nDefault)
{
    return pSection->GetInt(lpszEntry, nDefault);
}

BOOL WriteInt(CProfileSection* pSection, LPCTSTR lpszEntry, int nValue)
{
    return pSection->WriteInt(lpszEntry, nValue);
}

int GetInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault)
{
    return CProfileSection(lpszSection, CProfileSection::modeRead).GetInt(lpszEntry, nDefault);
}

BOOL WriteInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue)
{
    return CProfileSection(lpszSection, CProfileSection::modeWrite).WriteInt(lpszEntry, nValue);
}

// The profile's entry that is missing: no bar id can take it.
const UINT kMissingId = (UINT)-1;

CControlBar* GetStatusBar(CWnd* pSite)
{
    CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, pSite);
    if (pFrame == NULL || pFrame->GetSafeHwnd() == NULL)
        return NULL;
    return DYNAMIC_DOWNCAST(CControlBar, CWnd::FromHandlePermanent(::GetDlgItem(pFrame->m_hWnd, AFX_IDW_STATUS_BAR)));
}

// The shell folder functions, looked up at run time.
BOOL GetAppDataFolder(CString& strFolder)
{
    typedef HRESULT(WINAPI * PFNGETFOLDERLOCATION)(HWND, int, LPITEMIDLIST*);
    typedef BOOL(WINAPI * PFNGETPATHFROMIDLIST)(LPCITEMIDLIST, LPSTR);
    typedef HRESULT(WINAPI * PFNGETMALLOC)(LPMALLOC*);
    HMODULE hShell = ::GetModuleHandleA("shell32.dll");
    if (hShell == NULL)
        hShell = ::LoadLibraryA("shell32.dll");
    if (hShell == NULL)
        return FALSE;
    PFNGETFOLDERLOCATION pfnLocation =
        (PFNGETFOLDERLOCATION)::GetProcAddress(hShell, "SHGetSpecialFolderLocation");
    PFNGETPATHFROMIDLIST pfnPath = (PFNGETPATHFROMIDLIST)::GetProcAddress(hShell, "SHGetPathFromIDListA");
    PFNGETMALLOC pfnMalloc = (PFNGETMALLOC)::GetProcAddress(hShell, "SHGetMalloc");
    if (pfnLocation == NULL || pfnPath == NULL || pfnMalloc == NULL)
        return FALSE;

    LPITEMIDLIST pidl = NULL;
    if (FAILED(pfnLocation(NULL, CSIDL_APPDATA, &pidl)) || pidl == NULL)
        return FALSE;
    char szPath[MAX_PATH] = {0};
    BOOL bResult = pfnPath(pidl, szPath);
    LPMALLOC pMalloc = NULL;
    if (SUCCEEDED(pfnMalloc(&pMalloc)) && pMalloc != NULL)
    {
        pMalloc->Free(pidl);
        pMalloc->Release();
    }
    if (!bResult || szPath[0] == '\0')
        return FALSE;
    strFolder = szPath;
    return TRUE;
}

// Writes the whole buffer to a new file; FALSE (with nothing left behind)
// when it cannot.
BOOL WriteNewFile(LPCTSTR lpszPath, const BYTE* pData, DWORD dwSize)
{
    HANDLE hFile = ::CreateFileA(lpszPath, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return FALSE;
    DWORD dwWritten = 0;
    BOOL bWritten = ::WriteFile(hFile, pData, dwSize, &dwWritten, NULL) && dwWritten == dwSize;
    BOOL bClosed = ::CloseHandle(hFile);
    if (!bWritten || !bClosed)
    {
        ::DeleteFileA(lpszPath);
        return FALSE;
    }
    return TRUE;
}

// Removes a file if it is there; a missing file is no error.
void RemoveFileQuietly(LPCTSTR lpszPath)
{
    ::SetFileAttributesA(lpszPath, FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileA(lpszPath);
}

// TRUE when the section's "Controls" names a file rather than holding the
// packed block. "LoadFromFile" says which, 1 for a file and 0 for the
// block; any other flag is damage (*pbDamaged), and the value is then taken
// for what it is: a block when it reads as one, else the name of a file.
BOOL StoredControlsInFile(CWinApp* pApp, LPCTSTR lpszSection, BOOL* pbDamaged = NULL)
{
    int nFlag = (int)pApp->GetProfileInt(lpszSection, "LoadFromFile", 0);
    if (pbDamaged != NULL)
        *pbDamaged = nFlag != 0 && nFlag != 1;
    if (nFlag == 0 || nFlag == 1)
        return nFlag == 1;
    LPBYTE pRaw = NULL;
    UINT nRaw = 0;
    BOOL bBlock = pApp->GetProfileBinary(lpszSection, "Controls", &pRaw, &nRaw);
    delete[] pRaw;
    return !bBlock && !pApp->GetProfileString(lpszSection, "Controls", "").IsEmpty();
}

} // namespace

//////////////////////////////////////////////////////////////////////////
// Scaling saved places to the current screen

CPoint AFX_CDECL XTPScaleBarPoint(CPoint pt, BOOL bRescale, CSize szSaved, CSize szCurrent)
{
    if (bRescale)
    {
        pt.x = ::MulDiv(pt.x, szCurrent.cx, szSaved.cx);
        pt.y = ::MulDiv(pt.y, szCurrent.cy, szSaved.cy);
    }
    CRect rcWork = XTPMonitorFunctions()->GetWorkAreaFromPoint(pt);
    int cxMax = rcWork.right - ::GetSystemMetrics(SM_CXICON);
    int cyMax = rcWork.bottom - ::GetSystemMetrics(SM_CYICON);
    if (pt.x > cxMax)
        pt.x = cxMax;
    if (pt.y > cyMax)
        pt.y = cyMax;
    return pt;
}

CRect AFX_CDECL XTPScaleBarRect(CRect rc, BOOL bRescale, CSize szSaved, CSize szCurrent)
{
    if (bRescale)
    {
        CPoint pt(::MulDiv(rc.left, szCurrent.cx, szSaved.cx), ::MulDiv(rc.top, szCurrent.cy, szSaved.cy));
        rc.OffsetRect(pt - rc.TopLeft());
    }
    CRect rcWork = XTPMonitorFunctions()->GetWorkAreaFromRect(&rc);
    if (rc.left > rcWork.right)
        rc.OffsetRect(rcWork.right - rc.left, 0);
    if (rc.top > rcWork.bottom)
        rc.OffsetRect(0, rcWork.bottom - rc.top);
    return rc;
}

//////////////////////////////////////////////////////////////////////////
// XTP_BARINFO

XTP_BARINFO::XTP_BARINFO()
    : m_nBarID(0), m_bVisible(FALSE), m_bFloating(FALSE), m_pointPos(-1, -1), m_nMRUWidth(32767),
      m_uMRUDockPosition(0), m_rectMRUDockPos(0, 0, 0, 0), m_ptMRUFloatPos(0, 0), m_pBar(NULL), m_bDialogBar(FALSE),
      m_szDialogBarDockingClient(200, 200), m_szDialogBarFloatingClient(200, 200)
{
}

BOOL XTP_BARINFO::SaveState(LPCTSTR lpszSectionName) const
{
    CProfileSection section(lpszSectionName, CProfileSection::modeEmpty);
    CProfileSection* lpszSection = &section;
    BOOL bSaved = section.IsOpen();
    bSaved &= WriteInt(lpszSection, "BarID", (int)m_nBarID);
    if (!m_bVisible)
        bSaved &= WriteInt(lpszSection, "Visible", 0);
    if (m_bFloating)
        bSaved &= WriteInt(lpszSection, "Floating", 1);
    if (m_pointPos.x != -1)
        bSaved &= WriteInt(lpszSection, "XPos", m_pointPos.x);
    if (m_pointPos.y != -1)
        bSaved &= WriteInt(lpszSection, "YPos", m_pointPos.y);
    if (m_nMRUWidth != 32767)
        bSaved &= WriteInt(lpszSection, "MRUWidth", m_nMRUWidth);
    bSaved &= WriteInt(lpszSection, "MRUDockID", m_uMRUDockPosition);
    bSaved &= WriteInt(lpszSection, "MRUDockLeftPos", m_rectMRUDockPos.left);
    bSaved &= WriteInt(lpszSection, "MRUDockTopPos", m_rectMRUDockPos.top);
    bSaved &= WriteInt(lpszSection, "MRUDockRightPos", m_rectMRUDockPos.right);
    bSaved &= WriteInt(lpszSection, "MRUDockBottomPos", m_rectMRUDockPos.bottom);
    bSaved &= WriteInt(lpszSection, "MRUFloatXPos", m_ptMRUFloatPos.x);
    bSaved &= WriteInt(lpszSection, "MRUFloatYPos", m_ptMRUFloatPos.y);
    bSaved &= WriteInt(lpszSection, "DialogBar", m_bDialogBar);
    if (m_bDialogBar)
    {
        bSaved &= WriteInt(lpszSection, "DialogBarDockingClientCx", m_szDialogBarDockingClient.cx);
        bSaved &= WriteInt(lpszSection, "DialogBarDockingClientCy", m_szDialogBarDockingClient.cy);
        bSaved &= WriteInt(lpszSection, "DialogBarFloatingClientCx", m_szDialogBarFloatingClient.cx);
        bSaved &= WriteInt(lpszSection, "DialogBarFloatingClientCy", m_szDialogBarFloatingClient.cy);
    }
    return bSaved;
}

BOOL XTP_BARINFO::LoadState(LPCTSTR lpszSectionName, BOOL bRescale, CSize szSaved, CSize szCurrent)
{
    CProfileSection section(lpszSectionName, CProfileSection::modeRead);
    const CProfileSection* lpszSection = &section;
    m_nBarID = (UINT)GetInt(lpszSection, "BarID", (int)kMissingId);
    if (m_nBarID == kMissingId)
        return FALSE;
    m_bVisible = GetInt(lpszSection, "Visible", TRUE);
    m_bFloating = GetInt(lpszSection, "Floating", FALSE);
    m_pointPos.y = GetInt(lpszSection, "YPos", -1);
    m_pointPos.x = GetInt(lpszSection, "XPos", -1);
    m_pointPos = XTPScaleBarPoint(m_pointPos, bRescale, szSaved, szCurrent);
    m_nMRUWidth = GetInt(lpszSection, "MRUWidth", 32767);
    m_uMRUDockPosition = GetInt(lpszSection, "MRUDockID", 0);
    if (m_uMRUDockPosition < xtpBarTop || m_uMRUDockPosition > xtpBarRight)
        m_uMRUDockPosition = xtpBarTop;
    m_rectMRUDockPos.bottom = GetInt(lpszSection, "MRUDockBottomPos", 0);
    m_rectMRUDockPos.right = GetInt(lpszSection, "MRUDockRightPos", 0);
    m_rectMRUDockPos.top = GetInt(lpszSection, "MRUDockTopPos", 0);
    m_rectMRUDockPos.left = GetInt(lpszSection, "MRUDockLeftPos", 0);
    m_rectMRUDockPos = XTPScaleBarRect(m_rectMRUDockPos, bRescale, szSaved, szCurrent);
    m_ptMRUFloatPos.y = GetInt(lpszSection, "MRUFloatYPos", 0);
    m_ptMRUFloatPos.x = GetInt(lpszSection, "MRUFloatXPos", 0);
    m_ptMRUFloatPos = XTPScaleBarPoint(m_ptMRUFloatPos, bRescale, szSaved, szCurrent);
    m_bDialogBar = GetInt(lpszSection, "DialogBar", FALSE);
    if (m_bDialogBar)
    {
        m_szDialogBarDockingClient.cx = GetInt(lpszSection, "DialogBarDockingClientCx", m_szDialogBarDockingClient.cx);
        m_szDialogBarDockingClient.cy = GetInt(lpszSection, "DialogBarDockingClientCy", m_szDialogBarDockingClient.cy);
        m_szDialogBarFloatingClient.cx =
            GetInt(lpszSection, "DialogBarFloatingClientCx", m_szDialogBarFloatingClient.cx);
        m_szDialogBarFloatingClient.cy =
            GetInt(lpszSection, "DialogBarFloatingClientCy", m_szDialogBarFloatingClient.cy);
    }
    return TRUE;
}

//////////////////////////////////////////////////////////////////////////
// Bar records

void CXTPCommandBars::GetBarInfo(CXTPToolBar* pBar, XTP_BARINFO* pInfo)
{
    pInfo->m_pBar = pBar;
    pInfo->m_nBarID = pBar->GetBarID();
    pInfo->m_bVisible = pBar->IsVisible();
    pInfo->m_bFloating = pBar->GetPosition() == xtpBarFloating;
    if (pBar->GetSafeHwnd() != NULL)
    {
        CRect rcWindow;
        pBar->GetWindowRect(&rcWindow);
        CPoint pt = rcWindow.TopLeft();
        CXTPDockBar* pDockBar = pBar->GetDockBar();
        if (!pInfo->m_bFloating && pDockBar != NULL && pDockBar->GetSafeHwnd() != NULL)
            pDockBar->ScreenToClient(&pt);
        pInfo->m_pointPos = pt;
    }
    else
    {
        pInfo->m_pointPos = pBar->GetMRUFloatPoint();
    }
    pInfo->m_nMRUWidth = pBar->GetMRUWidth();
    pInfo->m_uMRUDockPosition = pBar->GetMRUDockPosition();
    pInfo->m_rectMRUDockPos = pBar->GetMRUDockRect();
    pInfo->m_ptMRUFloatPos =
        pBar->GetDockContext() != NULL ? pBar->GetDockContext()->m_ptMRUFloatPos : pBar->GetMRUFloatPoint();
    CXTPDialogBar* pDialogBar = DYNAMIC_DOWNCAST(CXTPDialogBar, pBar);
    pInfo->m_bDialogBar = pDialogBar != NULL;
    if (pDialogBar != NULL)
    {
        pInfo->m_szDialogBarDockingClient = pDialogBar->GetDockingClientSize();
        pInfo->m_szDialogBarFloatingClient = pDialogBar->GetFloatingClientSize();
    }
}

void CXTPCommandBars::SetBarInfo(CXTPToolBar* pBar, XTP_BARINFO* pInfo)
{
    pBar->SetMRUWidth(pInfo->m_nMRUWidth);
    CXTPDialogBar* pDialogBar = DYNAMIC_DOWNCAST(CXTPDialogBar, pBar);
    if (pDialogBar != NULL && pInfo->m_bDialogBar)
    {
        pDialogBar->SetDockingClientSize(pInfo->m_szDialogBarDockingClient);
        pDialogBar->SetFloatingClientSize(pInfo->m_szDialogBarFloatingClient);
    }
    pBar->SetMRUDockPosition((XTPBarPosition)pInfo->m_uMRUDockPosition);
    pBar->SetMRUDockRect(pInfo->m_rectMRUDockPos);
    pBar->SetMRUFloatPoint(pInfo->m_ptMRUFloatPos);
    if (pBar->GetDockContext() != NULL)
        pBar->GetDockContext()->m_ptMRUFloatPos = pInfo->m_ptMRUFloatPos;

    BOOL bFloating = pBar->GetPosition() == xtpBarFloating;
    if (pBar->GetSafeHwnd() != NULL)
    {
        UINT nFlags = SWP_NOZORDER | SWP_NOACTIVATE | (pInfo->m_bVisible ? SWP_SHOWWINDOW : SWP_HIDEWINDOW);
        if (!bFloating)
            nFlags |= SWP_NOSIZE;
        if (!bFloating && pBar->GetDockBar() == NULL)
            nFlags |= SWP_NOMOVE | SWP_NOSIZE;
        pBar->SetWindowPos(NULL, pInfo->m_pointPos.x, pInfo->m_pointPos.y, 0, 0, nFlags);
    }
    pBar->m_bVisible = pInfo->m_bVisible;
    if (bFloating)
        pBar->OnRecalcLayout();
}

//////////////////////////////////////////////////////////////////////////
// Bar state

BOOL CXTPCommandBars::SaveBarState(LPCTSTR lpszProfileName, BOOL bOnlyCustomized)
{
    CHeldAppKey appKey;
    BOOL bSaved = TRUE;
    CSize szScreen(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    for (int i = 0; i < GetCount(); i++)
    {
        XTP_BARINFO info;
        GetBarInfo(GetAt(i), &info);
        bSaved &= info.SaveState(SectionName("%s-Bar%d", lpszProfileName, i));
    }

    {
        CProfileSection summary(SectionName("%s-Summary", lpszProfileName), CProfileSection::modeWrite);
        bSaved &= summary.IsOpen();
        bSaved &= summary.WriteInt("Bars", GetCount());
        bSaved &= summary.WriteInt("ScreenCX", szScreen.cx);
        bSaved &= summary.WriteInt("ScreenCY", szScreen.cy);
    }

    for (int nDock = 0; nDock < 4; nDock++)
    {
        CXTPDockBar* pDockBar = m_pDocks[nDock];
        BOOL bRows = pDockBar != NULL && pDockBar->GetDockedCount() > 1;
        CProfileSection section(SectionName("%s-DockBar%d", lpszProfileName, nDock),
                                bRows ? CProfileSection::modeEmpty : CProfileSection::modeDelete);
        bSaved &= section.IsOpen();
        if (!bRows)
            continue;
        int n = 0;
        BOOL bLastNull = FALSE;
        for (int j = 0; j < pDockBar->GetDockedCount(); j++)
        {
            CXTPToolBar* pBar = pDockBar->GetDockedBar(j);
            if (pBar == NULL && bLastNull)
                continue;
            bLastNull = pBar == NULL;
            CString strEntry;
            strEntry.Format("Bar#%d", n++);
            bSaved &= section.WriteInt(strEntry, pBar != NULL ? (int)pBar->GetBarID() : 0);
        }
        bSaved &= section.WriteInt("Bars", n);
    }

    // A hidden status bar is kept as "StatusBar" 0; a shown one deletes the
    // value, through the section opened for changes.
    CControlBar* pStatusBar = GetStatusBar(m_pFrame);
    if (pStatusBar != NULL && pStatusBar->GetSafeHwnd() != NULL && !(pStatusBar->GetStyle() & WS_VISIBLE))
        bSaved &= WriteInt(lpszProfileName, "StatusBar", 0);
    else
        bSaved &= CProfileSection(lpszProfileName, CProfileSection::modeChange).DeleteEntry("StatusBar");

    if (m_bCustomizable)
        bSaved &= SaveControls(lpszProfileName, bOnlyCustomized);

    CXTPMenuBar* pMenuBar = GetMenuBar();
    if (pMenuBar != NULL && pMenuBar->m_bDirtyMenu)
        pMenuBar->AfterSave();
    m_pOptions->bDirtyState = FALSE;
    if (!bSaved)
        TRACE("CXTPCommandBars: the bar state of \"%s\" was not saved whole\n", lpszProfileName);
    return bSaved;
}

void CXTPCommandBars::LoadBarState(LPCTSTR lpszProfileName, BOOL bSilent)
{
    CHeldAppKey appKey;
    if (m_bCustomizable)
        LoadControls(lpszProfileName, bSilent);

    CProfileSection summary(SectionName("%s-Summary", lpszProfileName), CProfileSection::modeRead);
    int nBars = summary.GetInt("Bars", 0);
    CSize szSaved(summary.GetInt("ScreenCX", 0), summary.GetInt("ScreenCY", 0));
    CSize szCurrent(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    BOOL bRescale = szSaved.cx > 0 && szSaved.cy > 0 && szSaved != szCurrent;

    CArray<XTP_BARINFO, XTP_BARINFO&> arrInfo;
    // Records beyond the toolbars a frame may hold can place nothing.
    for (int i = 0; i < nBars && i < XTP_MAX_STORED_TOOLBARS; i++)
    {
        XTP_BARINFO info;
        // A missing record ends the list: the count was wrong.
        if (!info.LoadState(SectionName("%s-Bar%d", lpszProfileName, i), bRescale, szSaved, szCurrent))
            break;
        arrInfo.Add(info);
    }

    for (int nDock = 0; nDock < 4; nDock++)
    {
        CXTPDockBar* pDockBar = m_pDocks[nDock];
        CProfileSection section(SectionName("%s-DockBar%d", lpszProfileName, nDock), CProfileSection::modeRead);
        int nEntries = section.GetInt("Bars", 0);
        if (pDockBar == NULL || nEntries <= 1)
            continue;
        for (int j = 0; j < nEntries && j < 2 * XTP_MAX_STORED_TOOLBARS + 1; j++)
        {
            CString strEntry;
            strEntry.Format("Bar#%d", j);
            UINT nBarID = (UINT)section.GetInt(strEntry, (int)kMissingId);
            if (nBarID == kMissingId)
                break;
            CXTPToolBar* pBar = GetToolBar(nBarID);
            if (pBar != NULL)
            {
                // A floating bar becomes a child window first, so that it
                // is made a frame-owned popup again when it is floated later.
                if (pBar->GetSafeHwnd() != NULL && (::GetWindowLongPtr(pBar->m_hWnd, GWL_STYLE) & WS_POPUP) != 0)
                    pBar->CreateBarWindow(m_pFrame, FALSE);
                if (pBar->GetSafeHwnd() != NULL && ::GetParent(pBar->m_hWnd) != pDockBar->m_hWnd)
                    pBar->SetParent(pDockBar);
                if (pBar->GetDockBar() != NULL)
                    pBar->GetDockBar()->RemoveCommandBar(pBar);
                pBar->SetDockBar(pDockBar);
                pBar->m_barPosition = pDockBar->GetPosition();
            }
            int nInsert = std::min(j, (int)pDockBar->m_arrBars.GetSize());
            pDockBar->m_arrBars.InsertAt(nInsert, pBar);
        }
    }

    CControlBar* pStatusBar = GetStatusBar(m_pFrame);
    if (pStatusBar != NULL && GetInt(lpszProfileName, "StatusBar", 1) == 0)
        ((CFrameWnd*)m_pFrame)->ShowControlBar(pStatusBar, FALSE, FALSE);

    for (INT_PTR i = 0; i < arrInfo.GetSize(); i++)
    {
        XTP_BARINFO& info = arrInfo[i];
        CXTPToolBar* pBar = GetToolBar(info.m_nBarID);
        if (pBar == NULL)
            continue;
        if (info.m_bFloating)
            FloatCommandBar(pBar);
        else if (pBar->GetSafeHwnd() == NULL)
            pBar->CreateBarWindow(m_pFrame, FALSE);
        SetBarInfo(pBar, &info);
    }

    RecalcFrameLayout(TRUE);
    m_pOptions->bDirtyState = FALSE;
}

//////////////////////////////////////////////////////////////////////////
// Controls

CString CXTPCommandBars::GetControlsFilePath(LPCTSTR lpszProfileName) const
{
    if (!m_strControlsFileName.IsEmpty())
        return m_strControlsFileName;

    CString strName(lpszProfileName);
    strName.Replace('\\', '_');

    CString strFolder;
    if (GetAppDataFolder(strFolder))
    {
        CWinApp* pApp = ProfileApp();
        strFolder += "\\";
        strFolder += pApp != NULL && pApp->m_pszAppName != NULL ? pApp->m_pszAppName : "";
        ::CreateDirectoryA(strFolder, NULL);
        DWORD dwAttributes = ::GetFileAttributesA(strFolder);
        if (dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & FILE_ATTRIBUTE_DIRECTORY))
            return strFolder + "\\" + strName;
    }
    char szModule[MAX_PATH] = {0};
    ::GetModuleFileNameA(NULL, szModule, MAX_PATH);
    CString strPath;
    strPath.Format("%s-%s", szModule, (LPCTSTR)strName);
    return strPath;
}

BOOL CXTPCommandBars::SaveControls(LPCTSTR lpszProfileName, BOOL bOnlyCustomized)
{
    CWinApp* pApp = ProfileApp();
    if (pApp == NULL)
        return FALSE;
    CString strSection = SectionName("%s-Controls", lpszProfileName);

    XTP_COMMANDBARS_PROPEXCHANGE_PARAM param;
    param.bSaveOnlyCustomized = bOnlyCustomized;
    param.pCommandBars = this;
    CXTPCommandBarList list;
    GenerateCommandBarList(&list, &param);

    BYTE* pData = NULL;
    DWORD dwSize = 0;
    BOOL bSaved = FALSE;
    CXTPZipMemFile file;
    try
    {
        CArchive ar(&file, CArchive::store, 4096);
        CXTPCommandBarsArchiveExchange px(ar);
        px.SetContext(&param);
        px.ExchangeSchema();
        bSaved = SaveCommandBarList(&px, &list);
        if (bSaved)
            ar.Flush();
        ar.Close();
    }
    catch (CException* e)
    {
        ::OutputDebugStringA("CXTPCommandBars: the bar controls could not be written\n");
        e->Delete();
        bSaved = FALSE;
    }
    if (!bSaved)
    {
        if (!pApp->WriteProfileString(strSection, NULL, NULL))
            TRACE("CXTPCommandBars: the section \"%s\" cannot be deleted\n", (LPCTSTR)strSection);
        return FALSE;
    }
    file.DetachCompressed(pData, dwSize);

    BOOL bStored = FALSE;
    if (dwSize > kMaxProfileControls)
    {
        // The new file is written beside the old one and takes its place
        // only when it is whole, so the old state stays loadable until then.
        CString strPath = GetControlsFilePath(lpszProfileName);
        CString strNew = strPath + ".new";
        if (WriteNewFile(strNew, pData, dwSize))
        {
            RemoveFileQuietly(strPath);
            if (::MoveFileA(strNew, strPath))
            {
                ::SetFileAttributesA(strPath, FILE_ATTRIBUTE_HIDDEN);
                bStored = pApp->WriteProfileString(strSection, "Controls", strPath) &&
                          pApp->WriteProfileInt(strSection, "LoadFromFile", 1);
            }
            else
            {
                RemoveFileQuietly(strNew);
            }
        }
        if (!bStored)
            ::OutputDebugStringA("CXTPCommandBars: the controls file cannot be written; the profile keeps them\n");
    }
    if (!bStored)
    {
        // A controls file an earlier save wrote is no longer needed once
        // the profile holds the data.
        CString strOldFile;
        if (StoredControlsInFile(pApp, strSection))
            strOldFile = pApp->GetProfileString(strSection, "Controls", "");
        // A file kept aside by its own name stays.
        CString strAside = SectionName("%s-ControlsNotLoaded", lpszProfileName);
        if (!strOldFile.IsEmpty() && strOldFile.CompareNoCase(pApp->GetProfileString(strAside, "Controls", "")) == 0)
            strOldFile.Empty();
        bStored = pApp->WriteProfileBinary(strSection, "Controls", pData, dwSize) &&
                  pApp->WriteProfileInt(strSection, "LoadFromFile", 0);
        if (!bStored)
            ::OutputDebugStringA("CXTPCommandBars: the bar controls could not be written to the profile\n");
        else if (!strOldFile.IsEmpty())
            RemoveFileQuietly(strOldFile);
    }
    free(pData);
    // The program's own bars as they were when the controls were saved. Not
    // written, an older fingerprint would be taken for these bars: it goes.
    if (bStored && !pApp->WriteProfileInt(strSection, "OwnBars", (int)GetOwnBarsFingerprint()))
    {
        pApp->WriteProfileString(strSection, "OwnBars", NULL);
        TRACE("CXTPCommandBars: the fingerprint of the program's bars cannot be written\n");
    }
    // Controls kept aside after a damaged load go once the player has
    // changed the bars and the change is stored.
    // The bars are walked only when something is kept aside.
    if (bStored && HasSetAsideControls(lpszProfileName) && IsChangedSinceLoad())
        DropSetAsideControls(lpszProfileName);
    return bStored;
}

BOOL CXTPCommandBars::LoadControlsFromFile(CMemFile* pFile, BOOL bSilent)
{
    if (pFile->GetLength() == 0)
        return FALSE;
    XTP_COMMANDBARS_PROPEXCHANGE_PARAM param;
    param.bSaveOnlyCustomized = TRUE;
    param.bLoadSilent = bSilent;
    param.pCommandBars = this;
    CXTPCommandBarList list;
    BOOL bLoaded = FALSE;
    try
    {
        CArchive ar(pFile, CArchive::load, 4096);
        CXTPCommandBarsArchiveExchange px(ar);
        px.SetContext(&param);
        px.ExchangeSchema();
        bLoaded = LoadCommandBarList(&px, &list);
        ar.Abort();
    }
    catch (CException* e)
    {
        ::OutputDebugStringA("CXTPCommandBars: the saved bar controls cannot be read\n");
        e->Delete();
        bLoaded = FALSE;
    }
    // Damaged data still gives back the bars read whole before the damage.
    m_nRestoreDropped = 0;
    if (bLoaded || list.GetCount() > 0)
        RestoreCommandBarList(&list, bSilent);
    return bLoaded && param.nDamagedParts == 0 && m_nRestoreDropped == 0;
}

void CXTPCommandBars::LoadControls(LPCTSTR lpszProfileName, BOOL bSilent)
{
    CWinApp* pApp = ProfileApp();
    if (pApp == NULL)
        return;
    CString strSection = SectionName("%s-Controls", lpszProfileName);
    // Saved with the program's bars as they are now, a stored original copy
    // that differs from them can only be damaged.
    DWORD dwOwnBars = (DWORD)pApp->GetProfileInt(strSection, "OwnBars", 0);
    struct COwnBarsScope
    {
        BOOL& m_bChanged;
        COwnBarsScope(BOOL& bChanged, BOOL bNow) : m_bChanged(bChanged) { m_bChanged = bNow; }
        ~COwnBarsScope() { m_bChanged = TRUE; }
    } scope(m_bOwnBarsChanged, dwOwnBars == 0 || dwOwnBars != GetOwnBarsFingerprint());

    // Nothing stored loads whole.
    BOOL bWhole = TRUE;
    BOOL bFlagDamaged = FALSE;
    if (StoredControlsInFile(pApp, strSection, &bFlagDamaged))
    {
        // A controls file that is missing, or cannot be opened, did not
        // load: what names it stays stored.
        CString strPath = pApp->GetProfileString(strSection, "Controls", "");
        CXTPZipMemFile file;
        if (!strPath.IsEmpty() && file.LoadFromFile(strPath))
        {
            bWhole = LoadControlsFromFile(&file, bSilent) && !file.IsDamaged();
        }
        else
        {
            TRACE("CXTPCommandBars: the controls file \"%s\" of \"%s\" cannot be read\n", (LPCTSTR)strPath,
                  lpszProfileName);
            bWhole = FALSE;
        }
    }
    else
    {
        CXTPPropExchangeSection px(TRUE, strSection);
        BYTE* pData = NULL;
        DWORD dwSize = 0;
        if (px.GetExchange() != NULL && px->ExchangeBlob("Controls", pData, dwSize) && pData != NULL)
        {
            {
                CXTPZipMemFile file(pData, dwSize);
                bWhole = LoadControlsFromFile(&file, bSilent) && !file.IsDamaged();
                file.Close();
            }
            free(pData);
        }
        else
        {
            // A value that cannot even be read as a block (of another type,
            // damaged text, too large) did not load whole either.
            LPBYTE pRaw = NULL;
            UINT nRaw = 0;
            if (pApp->GetProfileBinary(strSection, "Controls", &pRaw, &nRaw))
            {
                bWhole = nRaw == 0;
                delete[] pRaw;
            }
            else
            {
                bWhole = pApp->GetProfileString(strSection, "Controls", "").IsEmpty();
            }
            if (!bWhole)
                TRACE("CXTPCommandBars: the stored controls of \"%s\" cannot be read as a block\n", lpszProfileName);
        }
    }

    // What did not load whole is not written over by the next save: it is
    // kept aside until the player changes the bars. Only then is what the
    // load gave the bars remembered, to see that change.
    if (bFlagDamaged)
    {
        // What the flag names was read as what it is, but the stored state
        // did not load whole.
        TRACE("CXTPCommandBars: the stored controls of \"%s\" carry a flag no save writes\n", lpszProfileName);
        bWhole = FALSE;
    }
    if (!bWhole)
        SetAsideControls(lpszProfileName);
    m_dwControlsAtLoad = HasSetAsideControls(lpszProfileName) ? GetControlsFingerprint() : 0;
}

BOOL CXTPCommandBars::HasSetAsideControls(LPCTSTR lpszProfileName)
{
    CWinApp* pApp = ProfileApp();
    if (pApp == NULL)
        return FALSE;
    CString strAside = SectionName("%s-ControlsNotLoaded", lpszProfileName);
    return (int)pApp->GetProfileInt(strAside, "LoadFromFile", -1) != -1;
}

void CXTPCommandBars::SetAsideControls(LPCTSTR lpszProfileName)
{
    CWinApp* pApp = ProfileApp();
    if (pApp == NULL)
        return;
    CString strSection = SectionName("%s-Controls", lpszProfileName);
    CString strAside = SectionName("%s-ControlsNotLoaded", lpszProfileName);
    // A value kept from before stays: the stored one was written from what
    // loaded of it, with no change of the player's since.
    if (HasSetAsideControls(lpszProfileName))
    {
        TRACE("CXTPCommandBars: the stored controls of \"%s\" did not load whole; those kept under \"%s\" "
              "before stay\n",
              lpszProfileName, (LPCTSTR)strAside);
        return;
    }

    BOOL bKept = FALSE;
    if (StoredControlsInFile(pApp, strSection))
    {
        CString strPath = pApp->GetProfileString(strSection, "Controls", "");
        CString strCopy = strPath + "-NotLoaded";
        if (!strPath.IsEmpty() && ::CopyFileA(strPath, strCopy, FALSE))
        {
            ::SetFileAttributesA(strCopy, FILE_ATTRIBUTE_HIDDEN);
            bKept = pApp->WriteProfileString(strAside, "Controls", strCopy) &&
                    pApp->WriteProfileInt(strAside, "LoadFromFile", 1);
        }
        else if (!strPath.IsEmpty())
        {
            // A file that is missing or cannot be read: its name is kept, so
            // that the file is found again should it come back.
            bKept = pApp->WriteProfileString(strAside, "Controls", strPath) &&
                    pApp->WriteProfileInt(strAside, "LoadFromFile", 1);
        }
    }
    else
    {
        LPBYTE pData = NULL;
        UINT nBytes = 0;
        if (pApp->GetProfileBinary(strSection, "Controls", &pData, &nBytes))
        {
            bKept = pApp->WriteProfileBinary(strAside, "Controls", pData, nBytes);
            delete[] pData;
        }
        else
        {
            // Not even readable as a block: its text is kept as it stands.
            CString strValue = pApp->GetProfileString(strSection, "Controls", "");
            bKept = !strValue.IsEmpty() && pApp->WriteProfileString(strAside, "Controls", strValue);
        }
        bKept = bKept && pApp->WriteProfileInt(strAside, "LoadFromFile", 0);
    }
    if (bKept)
        TRACE("CXTPCommandBars: the stored controls of \"%s\" did not load whole; they are kept under \"%s\"\n",
              lpszProfileName, (LPCTSTR)strAside);
    else
        TRACE("CXTPCommandBars: the stored controls of \"%s\" did not load whole and cannot be kept aside\n",
              lpszProfileName);
}

void CXTPCommandBars::DropSetAsideControls(LPCTSTR lpszProfileName)
{
    CWinApp* pApp = ProfileApp();
    if (pApp == NULL)
        return;
    CString strAside = SectionName("%s-ControlsNotLoaded", lpszProfileName);
    int nFromFile = (int)pApp->GetProfileInt(strAside, "LoadFromFile", -1);
    if (nFromFile == -1)
        return;
    CString strCopy = nFromFile == 1 ? pApp->GetProfileString(strAside, "Controls", "") : CString();
    // The section goes first: a copy is never named by a section that stays.
    if (!pApp->WriteProfileString(strAside, NULL, NULL))
    {
        TRACE("CXTPCommandBars: the controls kept under \"%s\" cannot be dropped\n", (LPCTSTR)strAside);
        return;
    }
    // Only a copy this code made: the stored path names no other file.
    if (strCopy.GetLength() > 10 && strCopy.Right(10) == "-NotLoaded")
        RemoveFileQuietly(strCopy);
    TRACE("CXTPCommandBars: the player changed the bars; the controls kept under \"%s\" are dropped\n",
          (LPCTSTR)strAside);
}
