// CRecentFileList: the recently used files, kept in the profile and shown
// in the File menu (first command ID_FILE_MRU_FILE1 = 57616).
#include "wndimpl.h"

CRecentFileList::CRecentFileList(UINT nStart, LPCTSTR lpszSection, LPCTSTR lpszEntryFormat, int nSize,
                                 int nMaxDispLen)
    : m_nSize(nSize > 0 ? nSize : 1), m_strSectionName(lpszSection), m_strEntryFormat(lpszEntryFormat),
      m_nStart(nStart), m_nMaxDisplayLength(nMaxDispLen)
{
    m_arrNames = new CString[m_nSize];
}

CRecentFileList::~CRecentFileList()
{
    delete[] m_arrNames;
}

CString& CRecentFileList::operator[](int nIndex)
{
    if (nIndex < 0 || nIndex >= m_nSize)
        AfxThrowInvalidArgException();
    return m_arrNames[nIndex];
}

void CRecentFileList::Add(LPCTSTR lpszPathName)
{
    if (lpszPathName == NULL || *lpszPathName == '\0')
        return;
    char szTemp[_MAX_PATH];
    AfxFullPath(szTemp, lpszPathName);

    // Already there: it moves to the top; else the last one drops out.
    int iMRU;
    for (iMRU = 0; iMRU < m_nSize - 1; iMRU++)
    {
        if (AfxComparePath(m_arrNames[iMRU], szTemp))
            break;
    }
    for (; iMRU > 0; iMRU--)
        m_arrNames[iMRU] = m_arrNames[iMRU - 1];
    m_arrNames[0] = szTemp;
}

void CRecentFileList::Remove(int nIndex)
{
    if (nIndex < 0 || nIndex >= m_nSize)
        return;
    m_arrNames[nIndex].Empty();
    int iMRU;
    for (iMRU = nIndex; iMRU < m_nSize - 1; iMRU++)
        m_arrNames[iMRU] = m_arrNames[iMRU + 1];
    m_arrNames[iMRU].Empty();
}

// Shortens a path to at most cchMax characters: the root, "...", and as many
// trailing folders as fit; the bare name when even that is too long.
static CString AfxAbbreviateName(const CString& strPath, int cchMax, BOOL bAtLeastName)
{
    int nLength = strPath.GetLength();
    if (cchMax <= 0 || nLength <= cchMax)
        return strPath;

    char szName[_MAX_PATH];
    AfxGetFileName(strPath, szName, _MAX_PATH);
    CString strName = szName;
    if (strName.GetLength() >= cchMax - 4)
        return bAtLeastName ? strName : CString();

    // Root: "C:\" or "\\server\share\".
    int nRoot = 0;
    if (strPath.GetLength() > 2 && strPath[1] == ':' && strPath[2] == '\\')
    {
        nRoot = 3;
    }
    else if (strPath.Left(2) == "\\\\")
    {
        int nSlash = strPath.Find('\\', 2);
        nSlash = nSlash >= 0 ? strPath.Find('\\', nSlash + 1) : -1;
        nRoot = nSlash >= 0 ? nSlash + 1 : 0;
    }
    CString strRoot = strPath.Left(nRoot);
    CString strRest = strPath.Mid(nRoot);
    while (strRoot.GetLength() + 4 + strRest.GetLength() > cchMax)
    {
        int nSlash = strRest.Find('\\');
        if (nSlash < 0)
            return bAtLeastName ? strName : CString();
        strRest = strRest.Mid(nSlash + 1);
    }
    return strRoot + "...\\" + strRest;
}

BOOL CRecentFileList::GetDisplayName(CString& strName, int nIndex, LPCTSTR lpszCurDir, int nCurDir,
                                     BOOL bAtLeastName) const
{
    if (nIndex < 0 || nIndex >= m_nSize || m_arrNames[nIndex].IsEmpty())
        return FALSE;
    const CString& strPath = m_arrNames[nIndex];

    // In the current folder: the name alone.
    if (lpszCurDir != NULL && nCurDir > 0 && nCurDir <= strPath.GetLength() &&
        strPath.Left(nCurDir).CompareNoCase(CString(lpszCurDir, nCurDir)) == 0 &&
        strPath.Mid(nCurDir).Find('\\') < 0)
    {
        strName = strPath.Mid(nCurDir);
    }
    else
    {
        strName = AfxAbbreviateName(strPath, m_nMaxDisplayLength, bAtLeastName);
    }

    // '&' would be taken for a menu mnemonic.
    strName.Replace("&", "&&");
    return TRUE;
}

void CRecentFileList::UpdateMenu(CCmdUI* pCmdUI)
{
    if (pCmdUI->m_pMenu == NULL)
    {
        pCmdUI->Enable(!m_arrNames[0].IsEmpty());
        return;
    }
    HMENU hMenu = pCmdUI->m_pMenu->GetSafeHmenu();
    if (m_strOriginal.IsEmpty())
    {
        char szText[256] = "";
        ::GetMenuString(hMenu, pCmdUI->m_nIndex, szText, (int)sizeof(szText), MF_BYPOSITION);
        m_strOriginal = szText;
    }

    if (m_arrNames[0].IsEmpty())
    {
        // No files: the placeholder item, disabled.
        if (!m_strOriginal.IsEmpty())
            pCmdUI->SetText(m_strOriginal);
        pCmdUI->Enable(FALSE);
        return;
    }

    for (int iMRU = 0; iMRU < m_nSize; iMRU++)
        ::DeleteMenu(hMenu, pCmdUI->m_nID + (UINT)iMRU, MF_BYCOMMAND);

    char szCurDir[_MAX_PATH];
    DWORD dwDir = ::GetCurrentDirectory(_MAX_PATH - 1, szCurDir);
    if (dwDir == 0 || dwDir >= _MAX_PATH - 1)
        szCurDir[0] = '\0';
    int nCurDir = lstrlenA(szCurDir);
    if (nCurDir > 0 && szCurDir[nCurDir - 1] != '\\')
    {
        szCurDir[nCurDir++] = '\\';
        szCurDir[nCurDir] = '\0';
    }

    UINT nFirstID = pCmdUI->m_nID;
    for (int iMRU = 0; iMRU < m_nSize; iMRU++)
    {
        CString strName;
        if (!GetDisplayName(strName, iMRU, szCurDir, nCurDir))
            break;
        CString strText;
        strText.Format("&%d %s", (int)((iMRU + 1 + (int)m_nStart) % 10), (LPCTSTR)strName);
        ::InsertMenu(hMenu, pCmdUI->m_nIndex++, MF_STRING | MF_BYPOSITION, nFirstID + (UINT)iMRU, strText);
    }
    // The caller continues after the items added.
    pCmdUI->m_nIndex--;
    pCmdUI->m_nIndexMax = (UINT)::GetMenuItemCount(hMenu);
    pCmdUI->m_bEnableChanged = TRUE;
}

void CRecentFileList::ReadList()
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL)
        return;
    for (int iMRU = 0; iMRU < m_nSize; iMRU++)
    {
        CString strEntry;
        strEntry.Format(m_strEntryFormat, iMRU + 1);
        m_arrNames[iMRU] = pApp->GetProfileString(m_strSectionName, strEntry, "");
    }
}

void CRecentFileList::WriteList()
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL)
        return;
    // The old section goes first, so removed entries do not come back.
    pApp->WriteProfileString(m_strSectionName, NULL, NULL);
    for (int iMRU = 0; iMRU < m_nSize; iMRU++)
    {
        if (m_arrNames[iMRU].IsEmpty())
            continue;
        CString strEntry;
        strEntry.Format(m_strEntryFormat, iMRU + 1);
        pApp->WriteProfileString(m_strSectionName, strEntry, m_arrNames[iMRU]);
    }
}
