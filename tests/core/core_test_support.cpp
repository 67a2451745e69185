// Shared helpers of the puzzle core's tests.
#include "core_test_support.h"

#include "HTDataContainer.h"
#include "XTRegistryManager.h"

#include <set>
#include <sstream>
#include <vector>

namespace coretest
{
namespace
{
const char kGameKey[] = "Software\\Orrisfield\\Brindlemark";

void DeleteKeyTree(HKEY hParent, const char* pszName)
{
    HKEY hKey = NULL;
    if (RegOpenKeyExA(hParent, pszName, 0, KEY_READ | KEY_WRITE, &hKey) != ERROR_SUCCESS)
        return;
    for (;;)
    {
        char szChild[256];
        DWORD cchChild = sizeof(szChild);
        if (RegEnumKeyExA(hKey, 0, szChild, &cchChild, NULL, NULL, NULL, NULL) != ERROR_SUCCESS)
            break;
        DeleteKeyTree(hKey, szChild);
    }
    RegCloseKey(hKey);
    RegDeleteKeyA(hParent, pszName);
}

HKEY OpenSection(const char* pszSection, bool bCreate)
{
    std::string strKey = std::string(kGameKey) + "\\" + pszSection;
    HKEY hKey = NULL;
    LONG lResult = bCreate ? RegCreateKeyExA(HKEY_LOCAL_MACHINE, strKey.c_str(), 0, NULL, 0, KEY_READ | KEY_WRITE,
                                             NULL, &hKey, NULL)
                           : RegOpenKeyExA(HKEY_LOCAL_MACHINE, strKey.c_str(), 0, KEY_READ, &hKey);
    return lResult == ERROR_SUCCESS ? hKey : NULL;
}
} // namespace

void ClearGameRegistry()
{
    DeleteKeyTree(HKEY_LOCAL_MACHINE, kGameKey);
    CXTRegistryManager::SetINIFileName(NULL);
    CXTRegistryManager::SetProfileNames("Orrisfield", "Brindlemark");
}

bool RegistryValueExists(const char* pszSection, const char* pszEntry)
{
    HKEY hKey = OpenSection(pszSection, false);
    if (hKey == NULL)
        return false;
    LONG lResult = RegQueryValueExA(hKey, pszEntry, NULL, NULL, NULL, NULL);
    RegCloseKey(hKey);
    return lResult == ERROR_SUCCESS;
}

void WriteRegistryDword(const char* pszSection, const char* pszEntry, DWORD dwValue)
{
    HKEY hKey = OpenSection(pszSection, true);
    ASSERT(hKey != NULL);
    RegSetValueExA(hKey, pszEntry, 0, REG_DWORD, (const BYTE*)&dwValue, sizeof(dwValue));
    RegCloseKey(hKey);
}

void WriteRegistryString(const char* pszSection, const char* pszEntry, const char* pszValue)
{
    HKEY hKey = OpenSection(pszSection, true);
    RegSetValueExA(hKey, pszEntry, 0, REG_SZ, (const BYTE*)pszValue, (DWORD)strlen(pszValue) + 1);
    RegCloseKey(hKey);
}

void WriteRegistryBinary(const char* pszSection, const char* pszEntry, const void* pData, DWORD cbData)
{
    HKEY hKey = OpenSection(pszSection, true);
    RegSetValueExA(hKey, pszEntry, 0, REG_BINARY, (const BYTE*)pData, cbData);
    RegCloseKey(hKey);
}

bool ReadRegistryDword(const char* pszSection, const char* pszEntry, DWORD& dwValue)
{
    HKEY hKey = OpenSection(pszSection, false);
    if (hKey == NULL)
        return false;
    DWORD dwType = 0;
    DWORD cbData = sizeof(dwValue);
    LONG lResult = RegQueryValueExA(hKey, pszEntry, NULL, &dwType, (BYTE*)&dwValue, &cbData);
    RegCloseKey(hKey);
    return lResult == ERROR_SUCCESS && dwType == REG_DWORD;
}

int CDialogStubs::s_nInfoMessages = 0;
CString CDialogStubs::s_strLastMessage;
int CDialogStubs::s_nLoadChoices = 0;
BOOL CDialogStubs::s_bStartAgain = FALSE;

CDialogStubs::CDialogStubs() : m_pPrevious(NULL)
{
    s_nInfoMessages = 0;
    s_strLastMessage.Empty();
    s_nLoadChoices = 0;
    s_bStartAgain = FALSE;
    m_pPrevious = CHTCoreServices::Set(this);
}

CDialogStubs::~CDialogStubs()
{
    CHTCoreServices::Set(m_pPrevious);
}

INT_PTR CDialogStubs::ShowInfoMessage(const CString& strMessage)
{
    s_nInfoMessages++;
    s_strLastMessage = strMessage;
    return IDOK;
}

BOOL CDialogStubs::AskStartAgain()
{
    s_nLoadChoices++;
    return s_bStartAgain;
}

CTempFolder::CTempFolder()
{
    char szTemp[MAX_PATH];
    GetTempPathA(MAX_PATH, szTemp);
    static int s_nSerial = 0;
    for (;;)
    {
        std::ostringstream name;
        name << szTemp << "coretest_" << GetCurrentProcessId() << "_" << ++s_nSerial;
        if (CreateDirectoryA(name.str().c_str(), NULL))
        {
            m_strFolder = name.str();
            break;
        }
    }
}

CTempFolder::~CTempFolder()
{
    WIN32_FIND_DATAA data;
    HANDLE hFind = FindFirstFileA((m_strFolder + "\\*").c_str(), &data);
    if (hFind != INVALID_HANDLE_VALUE)
    {
        do
        {
            if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            {
                std::string strFile = m_strFolder + "\\" + data.cFileName;
                SetFileAttributesA(strFile.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(strFile.c_str());
            }
        } while (FindNextFileA(hFind, &data));
        FindClose(hFind);
    }
    RemoveDirectoryA(m_strFolder.c_str());
}

std::string CTempFolder::Path(const char* pszName) const
{
    return m_strFolder + "\\" + pszName;
}

int CTempFolder::CountFiles() const
{
    int nCount = 0;
    WIN32_FIND_DATAA data;
    HANDLE hFind = FindFirstFileA((m_strFolder + "\\*").c_str(), &data);
    if (hFind != INVALID_HANDLE_VALUE)
    {
        do
        {
            if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                nCount++;
        } while (FindNextFileA(hFind, &data));
        FindClose(hFind);
    }
    return nCount;
}

std::string ReadFileBytes(const std::string& strPath)
{
    std::string strBytes;
    HANDLE hFile = CreateFileA(strPath.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return strBytes;
    char buffer[4096];
    DWORD dwRead = 0;
    while (ReadFile(hFile, buffer, sizeof(buffer), &dwRead, NULL) && dwRead > 0)
        strBytes.append(buffer, dwRead);
    CloseHandle(hFile);
    return strBytes;
}

void WriteFileBytes(const std::string& strPath, const std::string& strBytes)
{
    HANDLE hFile = CreateFileA(strPath.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return;
    DWORD dwWritten = 0;
    if (!strBytes.empty())
        WriteFile(hFile, strBytes.data(), (DWORD)strBytes.size(), &dwWritten, NULL);
    CloseHandle(hFile);
}

std::string CheckGridInvariants(const CHTDataContainer& position)
{
    std::ostringstream problem;
    const int nColumns = position.m_nColumns;
    const int nRows = position.m_nRows;
    if (nColumns < 1 || nRows < 1 || nColumns > 64 || nRows > 64)
    {
        problem << "size " << nColumns << " x " << nRows;
        return problem.str();
    }
    if (position.m_nGameState < 0 || position.m_nGameState > 2)
        return "game state";
    if (position.m_listSquares.GetCount() != (INT_PTR)nColumns * nRows)
        return "square count";
    std::set<std::pair<int, int>> seen;
    const int nMaxNumber = nColumns > nRows ? nColumns : nRows;
    for (INT_PTR i = 0; i < position.m_listSquares.GetCount(); i++)
    {
        const CHTSquareData& square = position.m_listSquares.GetAt(i);
        if (square.m_nColumn < 0 || square.m_nColumn >= nColumns || square.m_nRow < 0 || square.m_nRow >= nRows)
            return "coordinates";
        if (!seen.insert(std::make_pair(square.m_nColumn, square.m_nRow)).second)
            return "square listed twice";
        if (square.m_nPlayerState < 0 || square.m_nPlayerState > 2 || square.m_nSolutionState < 0 ||
            square.m_nSolutionState > 2)
            return "state";
        if (square.m_nNumber < -1 || square.m_nNumber > nMaxNumber)
            return "number";
        if (square.m_bIslandMark > 1 || square.m_bDuplicateMark > 1 || square.m_bAdjacencyMark > 1)
            return "mark";
        if (position.FindSquare(square.m_nColumn, square.m_nRow) != &square)
            return "lookup";
    }
    return std::string();
}
} // namespace coretest
