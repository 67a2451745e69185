// Whether a thread keeps answering its messages while it works: another
// thread sends a message to one of its windows every few milliseconds and
// keeps the longest wait for an answer.
#pragma once

#include <windows.h>

namespace testsupport
{
class CAnswerWatch
{
public:
    // hWnd belongs to the thread watched; a send that waits longer than
    // dwGiveUp counts as unanswered.
    explicit CAnswerWatch(HWND hWnd, DWORD dwGiveUp = 1000)
        : m_hWnd(hWnd), m_dwGiveUp(dwGiveUp), m_hStop(::CreateEvent(NULL, TRUE, FALSE, NULL)), m_hThread(NULL),
          m_dwLongest(0), m_nAnswered(0), m_nUnanswered(0)
    {
        m_hThread = ::CreateThread(NULL, 0, &CAnswerWatch::Run, this, 0, NULL);
    }
    ~CAnswerWatch() { Stop(); }

    // Ends the sending; the counts stay.
    void Stop()
    {
        if (m_hThread != NULL)
        {
            ::SetEvent(m_hStop);
            // The last send may wait for the watched thread: it answers
            // while this thread waits.
            while (::MsgWaitForMultipleObjects(1, &m_hThread, FALSE, 5000, QS_SENDMESSAGE) == WAIT_OBJECT_0 + 1)
            {
                MSG msg;
                ::PeekMessage(&msg, NULL, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
            }
            ::CloseHandle(m_hThread);
            m_hThread = NULL;
        }
        if (m_hStop != NULL)
        {
            ::CloseHandle(m_hStop);
            m_hStop = NULL;
        }
    }

    DWORD LongestWait() const { return m_dwLongest; }
    int Answered() const { return m_nAnswered; }
    int Unanswered() const { return m_nUnanswered; }

private:
    CAnswerWatch(const CAnswerWatch&);
    CAnswerWatch& operator=(const CAnswerWatch&);

    static DWORD WINAPI Run(LPVOID pParam)
    {
        CAnswerWatch* pThis = static_cast<CAnswerWatch*>(pParam);
        while (::WaitForSingleObject(pThis->m_hStop, 20) == WAIT_TIMEOUT)
        {
            const DWORD dwStart = ::GetTickCount();
            DWORD_PTR dwResult = 0;
            if (::SendMessageTimeout(pThis->m_hWnd, WM_NULL, 0, 0, SMTO_NORMAL, pThis->m_dwGiveUp, &dwResult) != 0)
                pThis->m_nAnswered++;
            else
                pThis->m_nUnanswered++;
            const DWORD dwTook = ::GetTickCount() - dwStart;
            if (dwTook > pThis->m_dwLongest)
                pThis->m_dwLongest = dwTook;
        }
        return 0;
    }

    HWND m_hWnd;
    DWORD m_dwGiveUp;
    HANDLE m_hStop;
    HANDLE m_hThread;
    volatile DWORD m_dwLongest;
    volatile LONG m_nAnswered;
    volatile LONG m_nUnanswered;
};
} // namespace testsupport
