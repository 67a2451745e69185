// Running a copy of the test program from another folder: a folder of any
// letters made below the temporary folder, files copied into it by their
// wide-character paths, and a run of the copy with a test filter and
// environment of its own whose output and exit code come back, while the
// screen is watched for the system's crash dialog.
#pragma once

#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace testsupport
{
// The running program's path.
inline std::wstring ProgramPathW()
{
    std::vector<wchar_t> path(32768);
    const DWORD nLength = ::GetModuleFileNameW(NULL, path.data(), (DWORD)path.size());
    return std::wstring(path.data(), nLength < path.size() ? nLength : 0);
}

// The folder part of a path, with its last backslash.
inline std::wstring FolderOfW(const std::wstring& strPath)
{
    const size_t nSlash = strPath.find_last_of(L"\\/");
    return nSlash == std::wstring::npos ? std::wstring() : strPath.substr(0, nSlash + 1);
}

// A fresh folder named strName plus a number below the temporary folder;
// removed with everything in it when the object goes.
class CWideTempFolder
{
public:
    explicit CWideTempFolder(const std::wstring& strName)
    {
        wchar_t szTemp[MAX_PATH];
        ::GetTempPathW(MAX_PATH, szTemp);
        static int s_nSerial = 0;
        for (int i = 0; i < 1000; i++)
        {
            const std::wstring strFolder = std::wstring(szTemp) + strName + L" " +
                                           std::to_wstring(::GetCurrentProcessId()) + L"." +
                                           std::to_wstring(++s_nSerial);
            if (::CreateDirectoryW(strFolder.c_str(), NULL))
            {
                m_strFolder = strFolder + L"\\";
                break;
            }
        }
    }
    ~CWideTempFolder()
    {
        if (!m_strFolder.empty())
            Remove(m_strFolder);
    }
    // The folder with its last backslash; empty when it could not be made.
    const std::wstring& Folder() const { return m_strFolder; }
    std::wstring Path(const std::wstring& strName) const { return m_strFolder + strName; }

    // Removes a folder (ending in a backslash) and everything below it.
    static void Remove(const std::wstring& strFolder)
    {
        WIN32_FIND_DATAW data;
        HANDLE hFind = ::FindFirstFileW((strFolder + L"*").c_str(), &data);
        if (hFind != INVALID_HANDLE_VALUE)
        {
            do
            {
                const std::wstring strName = data.cFileName;
                if (strName == L"." || strName == L"..")
                    continue;
                if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
                {
                    Remove(strFolder + strName + L"\\");
                }
                else
                {
                    ::SetFileAttributesW((strFolder + strName).c_str(), FILE_ATTRIBUTE_NORMAL);
                    ::DeleteFileW((strFolder + strName).c_str());
                }
            } while (::FindNextFileW(hFind, &data));
            ::FindClose(hFind);
        }
        ::RemoveDirectoryW(strFolder.c_str());
    }

private:
    std::wstring m_strFolder;
};

inline bool WriteFileW(const std::wstring& strPath, const std::string& strBytes)
{
    HANDLE hFile = ::CreateFileW(strPath.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return false;
    DWORD nWritten = 0;
    const BOOL bWritten =
        strBytes.empty() || ::WriteFile(hFile, strBytes.data(), (DWORD)strBytes.size(), &nWritten, NULL);
    ::CloseHandle(hFile);
    return bWritten && nWritten == strBytes.size();
}

// Processes of the system's crash debugger, which shows the crash dialog.
inline int CrashDebuggersRunning()
{
    int nCount = 0;
    HANDLE hSnapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (hSnapshot == INVALID_HANDLE_VALUE)
        return 0;
    PROCESSENTRY32W entry;
    entry.dwSize = sizeof(entry);
    for (BOOL bMore = ::Process32FirstW(hSnapshot, &entry); bMore; bMore = ::Process32NextW(hSnapshot, &entry))
    {
        if (lstrcmpiW(entry.szExeFile, L"winedbg.exe") == 0 || lstrcmpiW(entry.szExeFile, L"drwtsn32.exe") == 0 ||
            lstrcmpiW(entry.szExeFile, L"WerFault.exe") == 0)
            nCount++;
    }
    ::CloseHandle(hSnapshot);
    return nCount;
}

struct CopiedRun
{
    bool bStarted = false;
    bool bEnded = false;
    DWORD dwExit = (DWORD)-1;
    std::string strOutput;
    // The system's crash debugger (which shows the crash dialog) ran while
    // the copy ran.
    bool bCrashDialog = false;
};

// Runs strExe with "--gtest_filter=<filter>" and the environment variables
// set for it; its output and exit code, within dwTimeout.
inline CopiedRun RunCopiedProgram(const std::wstring& strExe, const std::string& strFilter,
                                  const std::vector<std::pair<std::wstring, std::wstring>>& environment,
                                  DWORD dwTimeout = 60000)
{
    CopiedRun run;
    std::vector<std::pair<std::wstring, std::wstring>> saved;
    for (const auto& variable : environment)
    {
        std::vector<wchar_t> old(32768);
        const DWORD n = ::GetEnvironmentVariableW(variable.first.c_str(), old.data(), (DWORD)old.size());
        saved.push_back(std::make_pair(variable.first, n > 0 ? std::wstring(old.data(), n) : std::wstring()));
        ::SetEnvironmentVariableW(variable.first.c_str(), variable.second.c_str());
    }
    SECURITY_ATTRIBUTES sa = {sizeof(sa), NULL, TRUE};
    HANDLE hRead = NULL, hWrite = NULL;
    ::CreatePipe(&hRead, &hWrite, &sa, 0);
    ::SetHandleInformation(hRead, HANDLE_FLAG_INHERIT, 0);
    std::wstring strCommand = L"\"" + strExe + L"\" --gtest_filter=";
    for (char c : strFilter)
        strCommand += (wchar_t)(unsigned char)c;
    std::vector<wchar_t> command(strCommand.begin(), strCommand.end());
    command.push_back(0);
    STARTUPINFOW si;
    ZeroMemory(&si, sizeof(si));
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = hWrite;
    si.hStdError = hWrite;
    si.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION pi;
    ZeroMemory(&pi, sizeof(pi));
    const int nDebuggersBefore = CrashDebuggersRunning();
    run.bStarted = ::CreateProcessW(strExe.c_str(), command.data(), NULL, NULL, TRUE, 0, NULL,
                                    FolderOfW(strExe).c_str(), &si, &pi) != FALSE;
    ::CloseHandle(hWrite);
    for (const auto& variable : saved)
        ::SetEnvironmentVariableW(variable.first.c_str(), variable.second.empty() ? NULL : variable.second.c_str());
    if (run.bStarted)
    {
        const DWORD dwStart = ::GetTickCount();
        for (;;)
        {
            DWORD nAvailable = 0;
            while (::PeekNamedPipe(hRead, NULL, 0, NULL, &nAvailable, NULL) && nAvailable > 0)
            {
                char buffer[4096];
                DWORD nRead = 0;
                if (!::ReadFile(hRead, buffer, std::min<DWORD>(nAvailable, sizeof(buffer)), &nRead, NULL) ||
                    nRead == 0)
                    break;
                run.strOutput.append(buffer, nRead);
            }
            if (CrashDebuggersRunning() > nDebuggersBefore)
                run.bCrashDialog = true;
            if (::WaitForSingleObject(pi.hProcess, 10) == WAIT_OBJECT_0)
            {
                run.bEnded = true;
                break;
            }
            if (::GetTickCount() - dwStart > dwTimeout)
            {
                ::TerminateProcess(pi.hProcess, 0xDEAD);
                ::WaitForSingleObject(pi.hProcess, 5000);
                break;
            }
        }
        char buffer[4096];
        DWORD nRead = 0;
        while (::ReadFile(hRead, buffer, sizeof(buffer), &nRead, NULL) && nRead > 0)
            run.strOutput.append(buffer, nRead);
        ::GetExitCodeProcess(pi.hProcess, &run.dwExit);
        ::CloseHandle(pi.hThread);
        ::CloseHandle(pi.hProcess);
    }
    ::CloseHandle(hRead);
    return run;
}
} // namespace testsupport
