// A screen reader in another program, for tests of what a reader meets: the
// test program starts a copy of itself as the reader (it runs the test named
// by the caller, which calls ServeAsReader). The reader hooks every WinEvent
// of the test's process and resolves each as it comes, with
// AccessibleObjectFromEvent, to the object and child it names; and it makes
// the calls it is asked for (select, default action, state, location) from
// its own process. The test program answers the reader's calls while it
// pumps its messages, so every request pumps until the answer is in.
#pragma once

#include <windows.h>
#include <oleacc.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace testsupport
{
// What the reader found for one event, or for one object it was asked about.
struct ReaderObject
{
    DWORD dwEvent = 0;       // 0 for an answer to a request
    HWND hWnd = NULL;
    LONG nObjectId = 0;
    LONG nChildId = 0;
    HRESULT hr = E_FAIL;     // AccessibleObjectFromEvent's (or the request's) answer
    long nResolvedChild = 0; // the child of the object it resolved to (0 the object itself)
    std::wstring strName;    // of the object and child it resolved to
    long nRole = 0;
    long nState = 0;
    HRESULT hrLocation = E_FAIL;
    RECT rcLocation = {};    // on the screen
    std::wstring strObjectName; // of the object itself (child 0)
    long nObjectRole = 0;

    bool IsFocus() const { return dwEvent == EVENT_OBJECT_FOCUS; }
};

namespace readerdetail
{
const char* const kPipesVariable = "BM_READER_PIPES";

inline std::string Hex(const std::wstring& str)
{
    std::string strOut;
    char sz[8];
    for (wchar_t ch : str)
    {
        snprintf(sz, sizeof(sz), "%04x", (unsigned)ch);
        strOut += sz;
    }
    return strOut.empty() ? "-" : strOut;
}

inline std::wstring Unhex(const std::string& str)
{
    std::wstring strOut;
    for (size_t i = 0; str != "-" && i + 4 <= str.size(); i += 4)
        strOut += (wchar_t)strtoul(str.substr(i, 4).c_str(), NULL, 16);
    return strOut;
}

inline std::string Format(const ReaderObject& o)
{
    std::ostringstream os;
    os << o.dwEvent << ' ' << (unsigned long)(ULONG_PTR)o.hWnd << ' ' << o.nObjectId << ' ' << o.nChildId << ' '
       << (unsigned long)o.hr << ' ' << o.nResolvedChild << ' ' << Hex(o.strName) << ' ' << o.nRole << ' '
       << o.nState << ' ' << (unsigned long)o.hrLocation << ' ' << o.rcLocation.left << ' ' << o.rcLocation.top
       << ' ' << o.rcLocation.right << ' ' << o.rcLocation.bottom << ' ' << Hex(o.strObjectName) << ' '
       << o.nObjectRole;
    return os.str();
}

inline ReaderObject Parse(const std::string& strLine)
{
    ReaderObject o;
    std::istringstream is(strLine);
    unsigned long hWnd = 0, hr = 0, hrLocation = 0;
    std::string strName, strObjectName;
    is >> o.dwEvent >> hWnd >> o.nObjectId >> o.nChildId >> hr >> o.nResolvedChild >> strName >> o.nRole >>
        o.nState >> hrLocation >> o.rcLocation.left >> o.rcLocation.top >> o.rcLocation.right >>
        o.rcLocation.bottom >> strObjectName >> o.nObjectRole;
    o.hWnd = (HWND)(ULONG_PTR)hWnd;
    o.hr = (HRESULT)hr;
    o.hrLocation = (HRESULT)hrLocation;
    o.strName = Unhex(strName);
    o.strObjectName = Unhex(strObjectName);
    return o;
}

inline VARIANT ChildVariant(long nChild)
{
    VARIANT var;
    var.vt = VT_I4;
    var.lVal = nChild;
    return var;
}

// Describes an object and child as a reader reads them.
inline void Describe(IAccessible* pAcc, long nChild, ReaderObject& o)
{
    o.nResolvedChild = nChild;
    BSTR bstr = NULL;
    if (pAcc->get_accName(ChildVariant(nChild), &bstr) == S_OK && bstr != NULL)
        o.strName = bstr;
    ::SysFreeString(bstr);
    VARIANT var;
    ::VariantInit(&var);
    if (pAcc->get_accRole(ChildVariant(nChild), &var) == S_OK && var.vt == VT_I4)
        o.nRole = var.lVal;
    ::VariantInit(&var);
    if (pAcc->get_accState(ChildVariant(nChild), &var) == S_OK && var.vt == VT_I4)
        o.nState = var.lVal;
    long x = 0, y = 0, cx = 0, cy = 0;
    o.hrLocation = pAcc->accLocation(&x, &y, &cx, &cy, ChildVariant(nChild));
    o.rcLocation = RECT{ x, y, x + cx, y + cy };
    bstr = NULL;
    if (pAcc->get_accName(ChildVariant(CHILDID_SELF), &bstr) == S_OK && bstr != NULL)
        o.strObjectName = bstr;
    ::SysFreeString(bstr);
    ::VariantInit(&var);
    if (pAcc->get_accRole(ChildVariant(CHILDID_SELF), &var) == S_OK && var.vt == VT_I4)
        o.nObjectRole = var.lVal;
}

// The reader's side.
struct ReaderState
{
    std::vector<std::string> events;
    // Events waiting to be read, with their places in events.
    std::vector<std::pair<ReaderObject, size_t>> pending;
    bool bReading = false;
};

inline ReaderState& State()
{
    static ReaderState s_state;
    return s_state;
}

// The events the toolkit raises; the system's own (windows shown, moved,
// the caret) are no part of what is checked.
inline bool IsToolkitEvent(DWORD dwEvent, LONG nObjectId)
{
    if (dwEvent == EVENT_OBJECT_FOCUS)
        return nObjectId != OBJID_WINDOW && nObjectId != OBJID_CARET && nObjectId != OBJID_CURSOR;
    return dwEvent == EVENT_SYSTEM_MENUPOPUPSTART || dwEvent == EVENT_SYSTEM_MENUPOPUPEND;
}

inline void ReadPendingEvents();

inline void CALLBACK OnWinEvent(HWINEVENTHOOK, DWORD dwEvent, HWND hWnd, LONG nObjectId, LONG nChildId, DWORD,
                                DWORD)
{
    if (!IsToolkitEvent(dwEvent, nObjectId))
        return;
    ReaderObject o;
    o.dwEvent = dwEvent;
    o.hWnd = hWnd;
    o.nObjectId = nObjectId;
    o.nChildId = nChildId;
    // The event takes its place in the order the events came: while the
    // reader waits for the program's answers, the next events may be
    // handed to it already. Those are read once that call is done: a call
    // into the program made while another waits for its answer can crash
    // the system's object marshalling (seen under Wine).
    State().pending.push_back({o, State().events.size()});
    State().events.push_back(std::string());
    ReadPendingEvents();
}

// Reads the events waiting, unless a call into the program is on the way.
inline void ReadPendingEvents()
{
    if (State().bReading)
        return;
    State().bReading = true;
    while (!State().pending.empty())
    {
        ReaderObject next = State().pending.front().first;
        const size_t nPlace = State().pending.front().second;
        State().pending.erase(State().pending.begin());
        IAccessible* pAcc = NULL;
        VARIANT var;
        ::VariantInit(&var);
        next.hr = ::AccessibleObjectFromEvent(next.hWnd, (DWORD)next.nObjectId, (DWORD)next.nChildId, &pAcc, &var);
        if (SUCCEEDED(next.hr) && pAcc != NULL)
        {
            Describe(pAcc, var.vt == VT_I4 ? var.lVal : 0, next);
            pAcc->Release();
        }
        if (nPlace < State().events.size())
            State().events[nPlace] = Format(next);
    }
    State().bReading = false;
}

inline bool ReadLine(HANDLE hIn, std::string& strLine, const std::function<void()>& fnWhileWaiting, DWORD dwTimeout)
{
    strLine.clear();
    const DWORD dwStart = ::GetTickCount();
    for (;;)
    {
        DWORD dwAvailable = 0;
        if (!::PeekNamedPipe(hIn, NULL, 0, NULL, &dwAvailable, NULL))
            return false;
        if (dwAvailable == 0)
        {
            if (::GetTickCount() - dwStart > dwTimeout)
                return false;
            fnWhileWaiting();
            ::Sleep(5);
            continue;
        }
        char ch = 0;
        DWORD dwRead = 0;
        if (!::ReadFile(hIn, &ch, 1, &dwRead, NULL) || dwRead != 1)
            return false;
        if (ch == '\n')
            return true;
        strLine += ch;
    }
}

inline void WriteLine(HANDLE hOut, const std::string& strLine)
{
    std::string str = strLine + "\n";
    DWORD dwWritten = 0;
    ::WriteFile(hOut, str.data(), (DWORD)str.size(), &dwWritten, NULL);
}

inline void PumpReader()
{
    MSG msg;
    while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
    {
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
}

// Answers one request; the lines of the answer.
inline std::vector<std::string> Answer(const std::string& strRequest)
{
    std::istringstream is(strRequest);
    std::string strVerb;
    unsigned long hWnd = 0;
    long nObjectId = 0, nChild = 0, nFlags = 0;
    is >> strVerb;
    if (strVerb == "events")
    {
        // What is still queued for the hook comes in first.
        for (int i = 0; i < 10; i++)
        {
            PumpReader();
            ::Sleep(20);
        }
        std::vector<std::string> lines;
        lines.swap(State().events);
        return lines;
    }
    is >> hWnd >> nObjectId >> nChild >> nFlags;
    ReaderObject o;
    o.hWnd = (HWND)(ULONG_PTR)hWnd;
    o.nObjectId = nObjectId;
    o.nChildId = nChild;
    IAccessible* pAcc = NULL;
    State().bReading = true;
    o.hr = ::AccessibleObjectFromWindow(o.hWnd, (DWORD)nObjectId, IID_IAccessible, (void**)&pAcc);
    if (SUCCEEDED(o.hr) && pAcc != NULL)
    {
        if (strVerb == "select")
            o.hr = pAcc->accSelect(nFlags, ChildVariant(nChild));
        else if (strVerb == "action")
            o.hr = pAcc->accDoDefaultAction(ChildVariant(nChild));
        Describe(pAcc, nChild, o);
        pAcc->Release();
    }
    State().bReading = false;
    ReadPendingEvents();
    return { Format(o) };
}
} // namespace readerdetail

// Whether this run of the program is the reader (the test that serves
// returns at once otherwise).
inline bool IsReaderRun()
{
    return getenv(readerdetail::kPipesVariable) != NULL;
}

// The reader's run: hooks the events of the program that started it and
// answers its requests until it is told to end. 0 when all went well.
inline int ServeAsReader()
{
    unsigned long nIn = 0, nOut = 0, nProcess = 0;
    const char* pszPipes = getenv(readerdetail::kPipesVariable);
    if (pszPipes == NULL || sscanf(pszPipes, "%lu %lu %lu", &nIn, &nOut, &nProcess) != 3)
        return 2;
    HANDLE hIn = (HANDLE)(ULONG_PTR)nIn, hOut = (HANDLE)(ULONG_PTR)nOut;
    ::CoInitialize(NULL);
    HWINEVENTHOOK hHook = ::SetWinEventHook(EVENT_MIN, EVENT_MAX, NULL, &readerdetail::OnWinEvent, nProcess, 0,
                                            WINEVENT_OUTOFCONTEXT);
    readerdetail::WriteLine(hOut, hHook != NULL ? "ready" : "nohook");
    std::string strRequest;
    while (readerdetail::ReadLine(hIn, strRequest, readerdetail::PumpReader, 120000) && strRequest != "quit")
    {
        for (const std::string& strLine : readerdetail::Answer(strRequest))
            readerdetail::WriteLine(hOut, strLine);
        readerdetail::WriteLine(hOut, "end");
    }
    if (hHook != NULL)
        ::UnhookWinEvent(hHook);
    ::CoUninitialize();
    return 0;
}

// The test's side: the reader, started by the constructor and ended by the
// destructor. fnPump handles the test program's messages (with its idle
// pass) while it waits for the reader.
class ScreenReader
{
public:
    ScreenReader(const char* pszReaderTest, std::function<void()> fnPump) : m_fnPump(std::move(fnPump))
    {
        SECURITY_ATTRIBUTES sa = { sizeof(sa), NULL, TRUE };
        HANDLE hChildIn = NULL, hChildOut = NULL;
        if (!::CreatePipe(&hChildIn, &m_hToReader, &sa, 0) || !::CreatePipe(&m_hFromReader, &hChildOut, &sa, 0))
            return;
        ::SetHandleInformation(m_hToReader, HANDLE_FLAG_INHERIT, 0);
        ::SetHandleInformation(m_hFromReader, HANDLE_FLAG_INHERIT, 0);
        char szPipes[64];
        snprintf(szPipes, sizeof(szPipes), "%lu %lu %lu", (unsigned long)(ULONG_PTR)hChildIn,
                 (unsigned long)(ULONG_PTR)hChildOut, (unsigned long)::GetCurrentProcessId());
        char szSelf[MAX_PATH];
        ::GetModuleFileNameA(NULL, szSelf, MAX_PATH);
        std::string strCommand = std::string("\"") + szSelf + "\" --gtest_filter=" + pszReaderTest;
        ::SetEnvironmentVariableA(readerdetail::kPipesVariable, szPipes);
        STARTUPINFOA si = {};
        si.cb = sizeof(si);
        PROCESS_INFORMATION pi = {};
        BOOL bStarted = ::CreateProcessA(NULL, &strCommand[0], NULL, NULL, TRUE, 0, NULL, NULL, &si, &pi);
        ::SetEnvironmentVariableA(readerdetail::kPipesVariable, NULL);
        ::CloseHandle(hChildIn);
        ::CloseHandle(hChildOut);
        if (!bStarted)
            return;
        ::CloseHandle(pi.hThread);
        m_hProcess = pi.hProcess;
        std::string strLine;
        m_bReady = readerdetail::ReadLine(m_hFromReader, strLine, m_fnPump, 30000) && strLine == "ready";
    }
    ~ScreenReader()
    {
        if (m_hToReader != NULL)
        {
            readerdetail::WriteLine(m_hToReader, "quit");
            ::CloseHandle(m_hToReader);
        }
        if (m_hProcess != NULL)
        {
            for (int i = 0; i < 1000 && ::WaitForSingleObject(m_hProcess, 0) == WAIT_TIMEOUT; i++)
            {
                m_fnPump();
                ::Sleep(10);
            }
            if (::WaitForSingleObject(m_hProcess, 0) == WAIT_TIMEOUT)
                ::TerminateProcess(m_hProcess, 3);
            ::CloseHandle(m_hProcess);
        }
        if (m_hFromReader != NULL)
            ::CloseHandle(m_hFromReader);
    }
    // Whether the reader runs and has its hook.
    bool IsReady() const { return m_bReady; }

    // The events raised since the last call, as the reader resolved them.
    std::vector<ReaderObject> TakeEvents() { return Ask("events"); }
    // The reader's accSelect (flags) on a child of the object that a window
    // hands out for an object id; then how it reads that child.
    ReaderObject Select(HWND hWnd, LONG nObjectId, long nChild, long nFlags)
    {
        return One(Ask(Request("select", hWnd, nObjectId, nChild, nFlags)));
    }
    // The reader's default action on such a child; then how it reads it.
    ReaderObject DoDefaultAction(HWND hWnd, LONG nObjectId, long nChild)
    {
        return One(Ask(Request("action", hWnd, nObjectId, nChild, 0)));
    }
    // How the reader reads such a child.
    ReaderObject Read(HWND hWnd, LONG nObjectId, long nChild)
    {
        return One(Ask(Request("read", hWnd, nObjectId, nChild, 0)));
    }

private:
    static std::string Request(const char* pszVerb, HWND hWnd, LONG nObjectId, long nChild, long nFlags)
    {
        std::ostringstream os;
        os << pszVerb << ' ' << (unsigned long)(ULONG_PTR)hWnd << ' ' << nObjectId << ' ' << nChild << ' ' << nFlags;
        return os.str();
    }
    static ReaderObject One(const std::vector<ReaderObject>& answer)
    {
        return answer.empty() ? ReaderObject() : answer[0];
    }
    std::vector<ReaderObject> Ask(const std::string& strRequest)
    {
        std::vector<ReaderObject> answer;
        if (!m_bReady)
            return answer;
        readerdetail::WriteLine(m_hToReader, strRequest);
        std::string strLine;
        while (readerdetail::ReadLine(m_hFromReader, strLine, m_fnPump, 30000) && strLine != "end")
            answer.push_back(readerdetail::Parse(strLine));
        return answer;
    }

    std::function<void()> m_fnPump;
    HANDLE m_hToReader = NULL;
    HANDLE m_hFromReader = NULL;
    HANDLE m_hProcess = NULL;
    bool m_bReady = false;
};
} // namespace testsupport
