// The toolkit's resource manager.
#include "XTPResourceManager.h"

#include <afxext.h>

namespace
{
const WORD kLangUSEnglish = 1033;

// Finds a resource in the program's own module, else in the module that holds
// the program's resources; the module found is returned through phModule.
HRSRC FindOwnOrAppResource(LPCTSTR lpszName, LPCTSTR lpszType, HMODULE* phModule)
{
    HRSRC hResource = ::FindResourceA(NULL, lpszName, lpszType);
    if (hResource != NULL)
    {
        *phModule = ::GetModuleHandleA(NULL);
        return hResource;
    }
    HMODULE hModule = AfxFindResourceHandle(lpszName, lpszType);
    hResource = hModule ? ::FindResourceA(hModule, lpszName, lpszType) : NULL;
    *phModule = hResource ? hModule : NULL;
    return hResource;
}

struct LanguageSearch
{
    WORD wLangFound;
    BOOL bFound;
};

BOOL CALLBACK EnumLanguageProc(HMODULE, LPCSTR, LPCSTR, WORD wLanguage, LONG_PTR lParam)
{
    LanguageSearch* pSearch = reinterpret_cast<LanguageSearch*>(lParam);
    if (wLanguage != 0 && wLanguage != kLangUSEnglish)
    {
        pSearch->wLangFound = wLanguage;
        pSearch->bFound = TRUE;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK EnumNameProc(HMODULE hModule, LPCSTR lpszType, LPSTR lpszName, LONG_PTR lParam)
{
    ::EnumResourceLanguagesA(hModule, lpszType, lpszName, EnumLanguageProc, lParam);
    return !reinterpret_cast<LanguageSearch*>(lParam)->bFound;
}

BOOL CALLBACK EnumTypeProc(HMODULE hModule, LPSTR lpszType, LONG_PTR lParam)
{
    ::EnumResourceNamesA(hModule, lpszType, EnumNameProc, lParam);
    return !reinterpret_cast<LanguageSearch*>(lParam)->bFound;
}
} // namespace

CXTPResourceManager::CXTPResourceManager()
    : m_bValid(TRUE)
    , m_hResourceFile(NULL)
    , m_wResourcesLangID(kLangUSEnglish)
{
}

CXTPResourceManager::~CXTPResourceManager()
{
    Close();
}

BOOL CXTPResourceManager::LoadString(CString* pString, UINT nIDResource)
{
    if (pString == NULL)
        return FALSE;
    return pString->LoadString(nIDResource);
}

BOOL CXTPResourceManager::LoadMenu(CMenu* lpMenu, UINT nIDResource)
{
    if (lpMenu == NULL)
        return FALSE;
    LPCTSTR lpszName = MAKEINTRESOURCE(nIDResource);
    HMENU hMenu = ::LoadMenuA(AfxFindResourceHandle(lpszName, RT_MENU), lpszName);
    if (hMenu == NULL)
        return FALSE;
    if (!lpMenu->Attach(hMenu))
    {
        ::DestroyMenu(hMenu);
        return FALSE;
    }
    return TRUE;
}

BOOL CXTPResourceManager::LoadToolBar(CToolBar* pToolBar, UINT nIDResource)
{
    if (pToolBar == NULL)
        return FALSE;
    return pToolBar->LoadToolBar(nIDResource);
}

BOOL CXTPResourceManager::LoadBitmap(CBitmap* pBitmap, UINT nIDResource)
{
    if (pBitmap == NULL)
        return FALSE;
    LPCTSTR lpszName = MAKEINTRESOURCE(nIDResource);
    HBITMAP hBitmap = ::LoadBitmapA(AfxFindResourceHandle(lpszName, RT_BITMAP), lpszName);
    if (hBitmap == NULL)
        return FALSE;
    if (!pBitmap->Attach(hBitmap))
    {
        ::DeleteObject(hBitmap);
        return FALSE;
    }
    return TRUE;
}

HCURSOR CXTPResourceManager::LoadCursor(UINT nIDResource)
{
    LPCTSTR lpszName = MAKEINTRESOURCE(nIDResource);
    return ::LoadCursorA(AfxFindResourceHandle(lpszName, RT_GROUP_CURSOR), lpszName);
}

HGLOBAL CXTPResourceManager::FindDialogResource(UINT nIDResource)
{
    HMODULE hModule = NULL;
    HRSRC hResource = FindOwnOrAppResource(MAKEINTRESOURCE(nIDResource), RT_DIALOG, &hModule);
    if (hResource == NULL)
        return NULL;
    return ::LoadResource(hModule, hResource);
}

LPCDLGTEMPLATE CXTPResourceManager::LoadDialogTemplate(UINT nIDResource)
{
    HGLOBAL hTemplate = FindDialogResource(nIDResource);
    if (hTemplate == NULL)
        return NULL;
    return static_cast<LPCDLGTEMPLATE>(::LockResource(hTemplate));
}

BOOL CXTPResourceManager::LoadPageTemplate(PROPSHEETPAGE& psp)
{
    if ((psp.dwFlags & PSP_DLGINDIRECT) || psp.pszTemplate == NULL || !IS_INTRESOURCE(psp.pszTemplate))
        return FALSE;
    LPCDLGTEMPLATE lpTemplate = LoadDialogTemplate((UINT)(UINT_PTR)psp.pszTemplate);
    if (lpTemplate == NULL)
        return FALSE;
    psp.pResource = lpTemplate;
    psp.dwFlags |= PSP_DLGINDIRECT;
    return TRUE;
}

BOOL CXTPResourceManager::LoadHTML(CString* pText, UINT nIDResource)
{
    if (pText == NULL)
        return FALSE;
    HMODULE hModule = NULL;
    HRSRC hResource = FindOwnOrAppResource(MAKEINTRESOURCE(nIDResource), RT_HTML, &hModule);
    if (hResource == NULL)
        return FALSE;
    DWORD dwSize = ::SizeofResource(hModule, hResource);
    HGLOBAL hGlobal = ::LoadResource(hModule, hResource);
    const char* pData = hGlobal ? static_cast<const char*>(::LockResource(hGlobal)) : NULL;
    if (pData == NULL || dwSize == 0)
        return FALSE;

    // The text ends at the resource's end or at its first zero byte.
    int nLength = 0;
    while (nLength < (int)dwSize && pData[nLength] != 0)
        nLength++;
    CString strText(pData, nLength);
    *pText = strText;
    return TRUE;
}

HICON CXTPResourceManager::LoadIcon(int nID, CSize iconSize)
{
    return LoadIconByName(MAKEINTRESOURCE(nID), iconSize);
}

HICON CXTPResourceManager::LoadIconByName(LPCTSTR lpszResourceName, CSize iconSize)
{
    HMODULE hModule = AfxFindResourceHandle(lpszResourceName, RT_GROUP_ICON);
    if (hModule == NULL || ::FindResourceA(hModule, lpszResourceName, RT_GROUP_ICON) == NULL)
        return NULL;
    return static_cast<HICON>(::LoadImageA(hModule, lpszResourceName, IMAGE_ICON, iconSize.cx, iconSize.cy, 0));
}

HICON CXTPResourceManager::CreateIconFromInstance(HMODULE hInst, LPCTSTR lpszID, CSize iconSize)
{
    HRSRC hGroup = ::FindResourceA(hInst, lpszID, RT_GROUP_ICON);
    if (hGroup == NULL)
        return NULL;
    DWORD dwGroupSize = ::SizeofResource(hInst, hGroup);
    HGLOBAL hGroupData = ::LoadResource(hInst, hGroup);
    const BYTE* pGroup = hGroupData ? static_cast<const BYTE*>(::LockResource(hGroupData)) : NULL;
    // The directory is a 6-byte header (reserved, type, count) and 14 bytes
    // per image; a resource shorter than its count claims is refused.
    if (pGroup == NULL || dwGroupSize < 6)
        return NULL;
    WORD wCount = *reinterpret_cast<const WORD*>(pGroup + 4);
    if (wCount == 0 || 6 + (DWORD)wCount * 14 > dwGroupSize)
        return NULL;

    int nIconID = ::LookupIconIdFromDirectoryEx(const_cast<PBYTE>(pGroup), TRUE, iconSize.cx, iconSize.cy, 0);
    if (nIconID == 0)
        return NULL;
    HRSRC hIcon = ::FindResourceA(hInst, MAKEINTRESOURCE(nIconID), RT_ICON);
    if (hIcon == NULL)
        return NULL;
    DWORD dwIconSize = ::SizeofResource(hInst, hIcon);
    HGLOBAL hIconData = ::LoadResource(hInst, hIcon);
    BYTE* pIcon = hIconData ? static_cast<BYTE*>(::LockResource(hIconData)) : NULL;
    if (pIcon == NULL || dwIconSize < sizeof(BITMAPINFOHEADER))
        return NULL;
    return ::CreateIconFromResourceEx(pIcon, dwIconSize, TRUE, 0x30000, iconSize.cx, iconSize.cy, 0);
}

void CXTPResourceManager::Close()
{
    if (m_hResourceFile != NULL)
    {
        ::FreeLibrary(m_hResourceFile);
        m_hResourceFile = NULL;
    }
}

WORD CXTPResourceManager::GetResourcesLangID() const
{
    return m_wResourcesLangID;
}

WORD CXTPResourceManager::DetectResourcesLanguage()
{
    LanguageSearch search = { kLangUSEnglish, FALSE };
    ::EnumResourceTypesA(AfxGetInstanceHandle(), EnumTypeProc, reinterpret_cast<LONG_PTR>(&search));
    m_wResourcesLangID = search.bFound ? search.wLangFound : kLangUSEnglish;
    return m_wResourcesLangID;
}

int CXTPResourceManager::ShowMessageBox(UINT nIDPrompt, UINT nType)
{
    CString strPrompt;
    LoadString(&strPrompt, nIDPrompt);
    return AfxMessageBox(strPrompt, nType);
}

CXTPResourceManager* AFXAPI XTPResourceManager()
{
    static CProcessLocal<CXTPResourceManager> s_resourceManager;
    CXTPResourceManager* pManager = s_resourceManager.GetData();
    if (pManager == NULL)
        AfxThrowInvalidArgException();
    return pManager;
}
