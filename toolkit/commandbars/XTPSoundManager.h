// The menu sound player: one worker thread plays the system sounds
// "MenuCommand" and "MenuPopup" on request, so that a slow sound device never
// holds up the GUI thread. The GUI thread only stores a request word.
#pragma once

#include <afxwin.h>

enum XTPSoundManagerState
{
    xtpSoundNone = 0,
    xtpSoundMenuCommand = 1,
    xtpSoundMenuPopup = 2
};

class CXTPSoundManager
{
public:
    // The function that plays a sound: PlaySound's signature. Tests and
    // machines without winmm replace it.
    typedef BOOL(WINAPI* PFNPLAYSOUND)(LPCSTR pszSound, HMODULE hmod, DWORD fdwSound);

    CXTPSoundManager();
    virtual ~CXTPSoundManager();

    // Starts the worker when needed and stores the request; a newer request
    // replaces one not yet taken. Ignored while the player is disabled.
    void PlaySystemSound(XTPSoundManagerState state);

    // Clears the request and stop words and starts the worker (below-normal
    // priority). Without a thread no sound plays.
    void StartThread();
    // Asks the worker to stop and waits up to ten times 100 ms. A worker that
    // is still inside the sound call then is left to end by itself (it sees
    // the stop word when the call returns); it is never killed, since killing
    // a thread inside the sound system can leave its locks held.
    void StopThread();

    void EnableSystemSounds(BOOL bEnable) { m_bSystemSounds = bEnable; }
    BOOL IsSystemSoundsEnabled() const { return m_bSystemSounds; }
    BOOL IsThreadRunning() const { return m_hThread != NULL; }
    HANDLE GetThreadHandle() const { return m_hThread; }

    // Replaces the play function (NULL: PlaySoundA from winmm.dll, bound at
    // run time). Set it before the worker starts.
    void SetPlayFunction(PFNPLAYSOUND pfn) { m_pfnPlaySound = pfn; }

    // Milliseconds StopThread waits for the worker in all.
    enum { nStopWaitRounds = 10, nStopWaitMs = 100, nPollMs = 5 };

private:
    // The words the GUI thread and the worker share. Each worker holds a
    // reference, so a worker left running after StopThread never reads
    // freed memory.
    struct CShared
    {
        volatile LONG nRequest;
        volatile LONG bTerminate;
        volatile LONG nRefs;
        PFNPLAYSOUND pfnPlay;
    };
    static void Release(CShared* pShared);
    static DWORD WINAPI SoundThreadProc(LPVOID lpParam);
    PFNPLAYSOUND ResolvePlayFunction();

    CShared* m_pShared;
    BOOL m_bSystemSounds;
    HANDLE m_hThread;
    PFNPLAYSOUND m_pfnPlaySound;
    HMODULE m_hWinMM;   // kept loaded for the process: a worker may still be in it
};

// The process's one player, built on first use and stopped at exit.
CXTPSoundManager* AFX_CDECL XTPSoundManager();
