// The menu sound player.
#include "XTPSoundManager.h"

#include <mmsystem.h>

CXTPSoundManager::CXTPSoundManager()
    : m_pShared(NULL), m_bSystemSounds(TRUE), m_hThread(NULL), m_pfnPlaySound(NULL), m_hWinMM(NULL)
{
}

CXTPSoundManager::~CXTPSoundManager()
{
    StopThread();
    if (m_pShared != NULL)
        Release(m_pShared);
}

void CXTPSoundManager::Release(CShared* pShared)
{
    if (::InterlockedDecrement(&pShared->nRefs) == 0)
        delete pShared;
}

CXTPSoundManager::PFNPLAYSOUND CXTPSoundManager::ResolvePlayFunction()
{
    if (m_pfnPlaySound != NULL)
        return m_pfnPlaySound;
    if (m_hWinMM == NULL)
        m_hWinMM = ::LoadLibraryA("winmm.dll");
    if (m_hWinMM == NULL)
        return NULL;
    return (PFNPLAYSOUND)::GetProcAddress(m_hWinMM, "PlaySoundA");
}

void CXTPSoundManager::PlaySystemSound(XTPSoundManagerState state)
{
    if (!m_bSystemSounds)
        return;
    if (m_hThread == NULL)
        StartThread();
    if (m_pShared != NULL)
        ::InterlockedExchange(&m_pShared->nRequest, (LONG)state);
}

void CXTPSoundManager::StartThread()
{
    if (m_hThread != NULL)
        return;

    // A fresh set of words for each worker: an earlier worker that did not
    // stop in time keeps its own.
    if (m_pShared != NULL)
        Release(m_pShared);
    m_pShared = new CShared;
    m_pShared->nRequest = xtpSoundNone;
    m_pShared->bTerminate = FALSE;
    m_pShared->nRefs = 2;   // the player's and the worker's
    m_pShared->pfnPlay = ResolvePlayFunction();

    DWORD dwThreadId = 0;
    m_hThread = ::CreateThread(NULL, 0, SoundThreadProc, m_pShared, CREATE_SUSPENDED, &dwThreadId);
    if (m_hThread == NULL)
    {
        ::OutputDebugStringA("CXTPSoundManager: the sound thread cannot be created\n");
        ::InterlockedDecrement(&m_pShared->nRefs);   // no worker holds it
        return;
    }
    ::SetThreadPriority(m_hThread, THREAD_PRIORITY_BELOW_NORMAL);
    ::ResumeThread(m_hThread);
}

void CXTPSoundManager::StopThread()
{
    if (m_hThread == NULL)
        return;
    ::InterlockedExchange(&m_pShared->bTerminate, TRUE);

    BOOL bEnded = FALSE;
    for (int nRound = 0; nRound <= nStopWaitRounds; nRound++)
    {
        DWORD dwExitCode = 0;
        if (!::GetExitCodeThread(m_hThread, &dwExitCode) || dwExitCode != STILL_ACTIVE)
        {
            bEnded = TRUE;
            break;
        }
        if (nRound < nStopWaitRounds)
            ::WaitForSingleObject(m_hThread, nStopWaitMs);
    }
    if (!bEnded)
        ::OutputDebugStringA("CXTPSoundManager: the sound thread is still playing; it ends by itself\n");

    ::CloseHandle(m_hThread);
    m_hThread = NULL;
}

DWORD WINAPI CXTPSoundManager::SoundThreadProc(LPVOID lpParam)
{
    CShared* pShared = static_cast<CShared*>(lpParam);
    PFNPLAYSOUND pfnPlay = pShared->pfnPlay;
    while (::InterlockedCompareExchange(&pShared->bTerminate, FALSE, FALSE) == FALSE)
    {
        LONG nRequest = ::InterlockedCompareExchange(&pShared->nRequest, xtpSoundNone, xtpSoundNone);
        if (nRequest == xtpSoundMenuCommand || nRequest == xtpSoundMenuPopup)
        {
            LPCSTR pszAlias = nRequest == xtpSoundMenuCommand ? "MenuCommand" : "MenuPopup";
            if (pfnPlay != NULL)
                pfnPlay(pszAlias, NULL, SND_ALIAS | SND_NODEFAULT | SND_NOWAIT);
            // Only the request just played is cleared; a newer one waits its turn.
            ::InterlockedCompareExchange(&pShared->nRequest, xtpSoundNone, nRequest);
        }
        ::Sleep(nPollMs);
    }
    if (pfnPlay != NULL)
        pfnPlay(NULL, NULL, SND_PURGE);
    Release(pShared);
    return 0;
}

CXTPSoundManager* AFX_CDECL XTPSoundManager()
{
    static CXTPSoundManager s_player;
    return &s_player;
}
