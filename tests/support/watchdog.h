// A watchdog for tests of code that could hang (a message loop that never
// returns, a window that stops answering): while one is alive, a thread
// waits for it to be dismissed; when that does not happen within the bound,
// it says what hung and ends the test program with a failure, so that no
// test waits for ever.
#pragma once

#include <windows.h>

#include <stdio.h>

namespace testsupport
{
class Watchdog
{
public:
    // Guards what follows until the watchdog goes out of scope (or Dismiss).
    Watchdog(const char* pszWhat, DWORD dwMilliseconds) : m_pszWhat(pszWhat), m_dwMilliseconds(dwMilliseconds)
    {
        m_hDismissed = ::CreateEventA(NULL, TRUE, FALSE, NULL);
        m_hThread = m_hDismissed != NULL ? ::CreateThread(NULL, 0, &Watchdog::Watch, this, 0, NULL) : NULL;
    }
    ~Watchdog()
    {
        Dismiss();
        AlsoEnd(NULL);
    }

    void Dismiss()
    {
        if (m_hThread == NULL)
            return;
        ::SetEvent(m_hDismissed);
        ::WaitForSingleObject(m_hThread, INFINITE);
        ::CloseHandle(m_hThread);
        ::CloseHandle(m_hDismissed);
        m_hThread = m_hDismissed = NULL;
        AlsoEnd(NULL);
    }

    // FALSE when the watchdog could not be set up (the test should fail).
    bool IsArmed() const { return m_hThread != NULL; }

    // A process the test started (the program under test), ended too when
    // the watchdog fires; replaces the one named before.
    void AlsoEnd(HANDLE hProcess)
    {
        HANDLE hCopy = NULL;
        if (hProcess != NULL)
            ::DuplicateHandle(::GetCurrentProcess(), hProcess, ::GetCurrentProcess(), &hCopy, 0, FALSE,
                              DUPLICATE_SAME_ACCESS);
        HANDLE hOld = ::InterlockedExchangePointer(&m_hAlsoEnd, hCopy);
        if (hOld != NULL)
            ::CloseHandle(hOld);
    }

private:
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

    static DWORD WINAPI Watch(LPVOID pParam)
    {
        Watchdog* pThis = (Watchdog*)pParam;
        if (::WaitForSingleObject(pThis->m_hDismissed, pThis->m_dwMilliseconds) == WAIT_OBJECT_0)
            return 0;
        fprintf(stderr, "watchdog: %s did not return within %lu ms; the test program ends as failed\n",
                pThis->m_pszWhat, (unsigned long)pThis->m_dwMilliseconds);
        fflush(stderr);
        HANDLE hAlso = ::InterlockedExchangePointer(&pThis->m_hAlsoEnd, NULL);
        if (hAlso != NULL)
            ::TerminateProcess(hAlso, 3);
        ::TerminateProcess(::GetCurrentProcess(), 3);
        return 0;
    }

    const char* m_pszWhat;
    DWORD m_dwMilliseconds;
    HANDLE m_hDismissed = NULL;
    HANDLE m_hThread = NULL;
    HANDLE volatile m_hAlsoEnd = NULL;
};
} // namespace testsupport
