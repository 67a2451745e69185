// The menu sound player: requests, the worker's life and its stop.
#include <gtest/gtest.h>

#include "XTPSoundManager.h"

#include <string>
#include <vector>

namespace
{
// A play function that records its calls and can be held inside a "sound".
struct FakeSound
{
    CRITICAL_SECTION cs;
    std::vector<std::string> played;
    std::vector<DWORD> flags;
    HANDLE hEntered;    // set when a sound starts playing
    HANDLE hRelease;    // the sound ends when this is set
    volatile LONG nReturned;

    FakeSound()
    {
        ::InitializeCriticalSection(&cs);
        hEntered = ::CreateEventA(NULL, FALSE, FALSE, NULL);
        hRelease = ::CreateEventA(NULL, TRUE, TRUE, NULL);
        nReturned = 0;
    }
    ~FakeSound()
    {
        ::CloseHandle(hEntered);
        ::CloseHandle(hRelease);
        ::DeleteCriticalSection(&cs);
    }
    std::vector<std::string> Played()
    {
        ::EnterCriticalSection(&cs);
        std::vector<std::string> copy = played;
        ::LeaveCriticalSection(&cs);
        return copy;
    }
};

FakeSound* g_pFake = NULL;

BOOL WINAPI FakePlaySound(LPCSTR pszSound, HMODULE, DWORD fdwSound)
{
    ::EnterCriticalSection(&g_pFake->cs);
    g_pFake->played.push_back(pszSound != NULL ? pszSound : "<purge>");
    g_pFake->flags.push_back(fdwSound);
    ::LeaveCriticalSection(&g_pFake->cs);
    if (pszSound != NULL)
    {
        ::SetEvent(g_pFake->hEntered);
        ::WaitForSingleObject(g_pFake->hRelease, 10000);
    }
    ::InterlockedIncrement(&g_pFake->nReturned);
    return FALSE;   // as under Wine: no sound device
}

class SoundManagerTest : public ::testing::Test
{
protected:
    void SetUp() override { g_pFake = &fake; }
    void TearDown() override { g_pFake = NULL; }
    FakeSound fake;
};

bool WaitForPlayed(FakeSound& fake, size_t n)
{
    for (int i = 0; i < 400 && fake.Played().size() < n; i++)
        ::Sleep(5);
    return fake.Played().size() >= n;
}
} // namespace

TEST_F(SoundManagerTest, DisabledPlayerStartsNoThreadAndStopWithoutThreadDoesNothing)
{
    CXTPSoundManager player;
    player.SetPlayFunction(FakePlaySound);
    player.StopThread();   // never started
    EXPECT_FALSE(player.IsThreadRunning());

    player.EnableSystemSounds(FALSE);
    player.PlaySystemSound(xtpSoundMenuPopup);
    EXPECT_FALSE(player.IsThreadRunning());
    EXPECT_TRUE(fake.Played().empty());
}

TEST_F(SoundManagerTest, RequestsPlayTheSystemAliasesAndStopPurges)
{
    CXTPSoundManager player;
    player.SetPlayFunction(FakePlaySound);
    player.PlaySystemSound(xtpSoundMenuCommand);
    EXPECT_TRUE(player.IsThreadRunning());
    ASSERT_TRUE(WaitForPlayed(fake, 1));
    player.PlaySystemSound(xtpSoundMenuPopup);
    ASSERT_TRUE(WaitForPlayed(fake, 2));

    player.StopThread();
    EXPECT_FALSE(player.IsThreadRunning());
    std::vector<std::string> played = fake.Played();
    ASSERT_EQ(3u, played.size());
    EXPECT_EQ("MenuCommand", played[0]);
    EXPECT_EQ("MenuPopup", played[1]);
    EXPECT_EQ("<purge>", played[2]);
    EXPECT_EQ(0x12002u, fake.flags[0]);
    EXPECT_EQ((DWORD)SND_PURGE, fake.flags[2]);

    // Played again after a stop, the player starts a new worker.
    player.PlaySystemSound(xtpSoundMenuCommand);
    EXPECT_TRUE(WaitForPlayed(fake, 4));
    player.StopThread();
}

TEST_F(SoundManagerTest, ANewerRequestReplacesOneNotYetTaken)
{
    CXTPSoundManager player;
    player.SetPlayFunction(FakePlaySound);
    ::ResetEvent(fake.hRelease);
    player.PlaySystemSound(xtpSoundMenuCommand);
    ASSERT_EQ((DWORD)WAIT_OBJECT_0, ::WaitForSingleObject(fake.hEntered, 5000));

    // While the first sound plays, two requests come: only the later is kept.
    player.PlaySystemSound(xtpSoundMenuCommand);
    player.PlaySystemSound(xtpSoundMenuPopup);
    ::SetEvent(fake.hRelease);
    ASSERT_TRUE(WaitForPlayed(fake, 2));
    ::Sleep(50);
    player.StopThread();

    std::vector<std::string> played = fake.Played();
    ASSERT_EQ(3u, played.size());
    EXPECT_EQ("MenuCommand", played[0]);
    EXPECT_EQ("MenuPopup", played[1]);
    EXPECT_EQ("<purge>", played[2]);
}

TEST_F(SoundManagerTest, StopDuringALongSoundLeavesTheWorkerToEndByItself)
{
    CXTPSoundManager* pPlayer = new CXTPSoundManager;
    pPlayer->SetPlayFunction(FakePlaySound);
    ::ResetEvent(fake.hRelease);
    pPlayer->PlaySystemSound(xtpSoundMenuPopup);
    ASSERT_EQ((DWORD)WAIT_OBJECT_0, ::WaitForSingleObject(fake.hEntered, 5000));

    HANDLE hWorker = NULL;
    ASSERT_TRUE(::DuplicateHandle(::GetCurrentProcess(), pPlayer->GetThreadHandle(), ::GetCurrentProcess(),
                                  &hWorker, SYNCHRONIZE | THREAD_QUERY_INFORMATION, FALSE, 0));

    pPlayer->StopThread();   // waits its ten rounds, then lets the worker be
    EXPECT_FALSE(pPlayer->IsThreadRunning());
    EXPECT_EQ((DWORD)WAIT_TIMEOUT, ::WaitForSingleObject(hWorker, 0)) << "the worker was not killed";
    delete pPlayer;          // the worker's words outlive the player

    ::SetEvent(fake.hRelease);
    EXPECT_EQ((DWORD)WAIT_OBJECT_0, ::WaitForSingleObject(hWorker, 5000));
    DWORD dwExit = 1;
    ::GetExitCodeThread(hWorker, &dwExit);
    EXPECT_EQ(0, (int)dwExit) << "it returned normally, after purging";
    ::CloseHandle(hWorker);
    std::vector<std::string> played = fake.Played();
    ASSERT_EQ(2u, played.size());
    EXPECT_EQ("<purge>", played[1]);
}
