// The hook manager: chains of clients on one window, unhooking in any order,
// windows destroyed while hooked.
#include <gtest/gtest.h>

#include "XTPHookManager.h"
#include "support/testwindows.h"

#include <string>
#include <vector>

namespace
{
std::vector<std::string> g_log;

// Appends "<name>:<message>" to the log and answers as told.
class LoggingClient : public CXTPHookManagerHookAble
{
public:
    LoggingClient(const char* lpszName, int nAnswer = hookContinue, LRESULT lResult = 0)
        : m_strName(lpszName), m_nAnswer(nAnswer), m_lResult(lResult)
    {
    }
    ~LoggingClient() override { s_nDeleted++; }

    int OnHookMessage(HWND, UINT nMessage, WPARAM& wParam, LPARAM&, LRESULT& lResult) override
    {
        if (nMessage == WM_USER + 1)
        {
            g_log.push_back(m_strName + ":" + std::to_string((int)wParam));
            if (m_nAddToWParam)
                wParam += m_nAddToWParam;
            lResult = m_lResult;
            return m_nAnswer;
        }
        return hookContinue;
    }

    std::string m_strName;
    int m_nAnswer;
    LRESULT m_lResult;
    int m_nAddToWParam = 0;
    static int s_nDeleted;
};
int LoggingClient::s_nDeleted = 0;

LRESULT CALLBACK OriginalProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
WNDPROC g_pfnOriginalProcSeenAtNcDestroy = NULL;

LRESULT CALLBACK OriginalProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg == WM_USER + 1)
    {
        g_log.push_back("window:" + std::to_string((int)wParam));
        return 7;
    }
    if (nMsg == WM_NCDESTROY)
        g_pfnOriginalProcSeenAtNcDestroy = reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(hWnd, GWLP_WNDPROC));
    return ::DefWindowProcA(hWnd, nMsg, wParam, lParam);
}

HWND CreateHookTarget()
{
    static bool s_bRegistered = false;
    if (!s_bRegistered)
    {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = OriginalProc;
        wc.hInstance = ::GetModuleHandleA(NULL);
        wc.lpszClassName = "F2HookTarget";
        ::RegisterClassA(&wc);
        s_bRegistered = true;
    }
    return ::CreateWindowExA(0, "F2HookTarget", "", WS_POPUP, 0, 0, 10, 10, NULL, NULL,
                             ::GetModuleHandleA(NULL), NULL);
}

WNDPROC CurrentProc(HWND hWnd)
{
    return reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(hWnd, GWLP_WNDPROC));
}

class HookManagerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_log.clear();
        LoggingClient::s_nDeleted = 0;
        m_hWnd = CreateHookTarget();
        ASSERT_NE(m_hWnd, (HWND)NULL);
    }
    void TearDown() override
    {
        if (::IsWindow(m_hWnd))
            ::DestroyWindow(m_hWnd);
    }
    HWND m_hWnd = NULL;
};
} // namespace

TEST_F(HookManagerTest, ClientsSeeMessagesNewestFirstThenTheWindow)
{
    LoggingClient a("a"), b("b"), c("c");
    XTPHookManager()->SetHook(m_hWnd, &a);
    XTPHookManager()->SetHook(m_hWnd, &b);
    XTPHookManager()->SetHook(m_hWnd, &c);
    b.m_nAddToWParam = 10;   // b changes wParam for those after it

    LRESULT lResult = ::SendMessageA(m_hWnd, WM_USER + 1, 1, 0);

    EXPECT_EQ(7, lResult);
    std::vector<std::string> expected = { "c:1", "b:1", "a:11", "window:11" };
    EXPECT_EQ(expected, g_log);
    XTPHookManager()->RemoveHookAbleFromAll(&a);
    XTPHookManager()->RemoveHookAbleFromAll(&b);
    XTPHookManager()->RemoveHookAbleFromAll(&c);
}

TEST_F(HookManagerTest, HandledAndStopAnswersEndTheChain)
{
    LoggingClient a("a"), handled("h", CXTPHookManagerHookAble::hookHandled, 42);
    XTPHookManager()->SetHook(m_hWnd, &a);
    XTPHookManager()->SetHook(m_hWnd, &handled);
    EXPECT_EQ(42, ::SendMessageA(m_hWnd, WM_USER + 1, 3, 0));
    EXPECT_EQ(std::vector<std::string>({ "h:3" }), g_log);

    g_log.clear();
    handled.m_nAnswer = CXTPHookManagerHookAble::hookStop;
    EXPECT_EQ(7, ::SendMessageA(m_hWnd, WM_USER + 1, 4, 0));
    EXPECT_EQ(std::vector<std::string>({ "h:4", "window:4" }), g_log);

    XTPHookManager()->RemoveAll(m_hWnd);
    EXPECT_TRUE((WNDPROC)OriginalProc == CurrentProc(m_hWnd));
}

TEST_F(HookManagerTest, SameClientTwiceIsOneEntryAndRemovingItUnsubclasses)
{
    LoggingClient a("a");
    XTPHookManager()->SetHook(m_hWnd, &a);
    XTPHookManager()->SetHook(m_hWnd, &a);
    ASSERT_NE(nullptr, XTPHookManager()->Lookup(m_hWnd));
    EXPECT_EQ(1, XTPHookManager()->Lookup(m_hWnd)->GetSize());
    EXPECT_TRUE((WNDPROC)OriginalProc != CurrentProc(m_hWnd));

    ::SendMessageA(m_hWnd, WM_USER + 1, 5, 0);
    EXPECT_EQ(std::vector<std::string>({ "a:5", "window:5" }), g_log);

    XTPHookManager()->RemoveHook(m_hWnd, &a);
    EXPECT_EQ(nullptr, XTPHookManager()->Lookup(m_hWnd));
    EXPECT_TRUE((WNDPROC)OriginalProc == CurrentProc(m_hWnd));
}

TEST_F(HookManagerTest, UnhookingInAnyOrderKeepsTheRestWorking)
{
    LoggingClient a("a"), b("b"), c("c");
    XTPHookManager()->SetHook(m_hWnd, &a);
    XTPHookManager()->SetHook(m_hWnd, &b);
    XTPHookManager()->SetHook(m_hWnd, &c);

    XTPHookManager()->RemoveHook(m_hWnd, &b);
    ::SendMessageA(m_hWnd, WM_USER + 1, 1, 0);
    EXPECT_EQ(std::vector<std::string>({ "c:1", "a:1", "window:1" }), g_log);

    g_log.clear();
    XTPHookManager()->RemoveHook(m_hWnd, &c);
    ::SendMessageA(m_hWnd, WM_USER + 1, 2, 0);
    EXPECT_EQ(std::vector<std::string>({ "a:2", "window:2" }), g_log);

    XTPHookManager()->RemoveHook(m_hWnd, &a);
    EXPECT_TRUE((WNDPROC)OriginalProc == CurrentProc(m_hWnd));
    g_log.clear();
    ::SendMessageA(m_hWnd, WM_USER + 1, 3, 0);
    EXPECT_EQ(std::vector<std::string>({ "window:3" }), g_log);
}

TEST_F(HookManagerTest, TwoWindowsKeepSeparateChains)
{
    HWND hWnd2 = CreateHookTarget();
    LoggingClient a("a"), b("b");
    XTPHookManager()->SetHook(m_hWnd, &a);
    XTPHookManager()->SetHook(hWnd2, &b);
    XTPHookManager()->SetHook(hWnd2, &a);

    ::SendMessageA(hWnd2, WM_USER + 1, 1, 0);
    EXPECT_EQ(std::vector<std::string>({ "a:1", "b:1", "window:1" }), g_log);

    XTPHookManager()->RemoveHookAbleFromAll(&a);
    EXPECT_EQ(nullptr, XTPHookManager()->Lookup(m_hWnd));
    ASSERT_NE(nullptr, XTPHookManager()->Lookup(hWnd2));
    EXPECT_EQ(1, XTPHookManager()->Lookup(hWnd2)->GetSize());
    ::DestroyWindow(hWnd2);
    EXPECT_EQ(nullptr, XTPHookManager()->Lookup(hWnd2));
}

TEST_F(HookManagerTest, DestroyedWindowGetsItsProcedureBackAndAutoDeleteClientsGo)
{
    LoggingClient* pAuto = new LoggingClient("auto");
    pAuto->m_bAutoDestroy = TRUE;
    LoggingClient kept("kept");
    XTPHookManager()->SetHook(m_hWnd, pAuto);
    XTPHookManager()->SetHook(m_hWnd, &kept);
    g_pfnOriginalProcSeenAtNcDestroy = NULL;

    ::DestroyWindow(m_hWnd);

    EXPECT_TRUE((WNDPROC)OriginalProc == g_pfnOriginalProcSeenAtNcDestroy);
    EXPECT_EQ(1, LoggingClient::s_nDeleted);
    EXPECT_EQ(nullptr, XTPHookManager()->Lookup(m_hWnd));
}

TEST_F(HookManagerTest, AutoDeleteClientOnSeveralWindowsIsDeletedOnce)
{
    HWND hWnd2 = CreateHookTarget();
    LoggingClient* pAuto = new LoggingClient("auto");
    pAuto->m_bAutoDestroy = TRUE;
    XTPHookManager()->SetHook(m_hWnd, pAuto);
    XTPHookManager()->SetHook(hWnd2, pAuto);

    XTPHookManager()->RemoveHookAbleFromAll(pAuto);

    EXPECT_EQ(1, LoggingClient::s_nDeleted);
    EXPECT_EQ(nullptr, XTPHookManager()->Lookup(m_hWnd));
    EXPECT_EQ(nullptr, XTPHookManager()->Lookup(hWnd2));
    ::DestroyWindow(hWnd2);
}

namespace
{
// Removes itself from the chain while it handles a message.
class SelfRemovingClient : public CXTPHookManagerHookAble
{
public:
    int OnHookMessage(HWND hWnd, UINT nMessage, WPARAM&, LPARAM&, LRESULT&) override
    {
        if (nMessage == WM_USER + 1)
        {
            g_log.push_back("self");
            XTPHookManager()->RemoveHook(hWnd, this);
        }
        return hookContinue;
    }
};

class ThrowingClient : public CXTPHookManagerHookAble
{
public:
    int OnHookMessage(HWND, UINT nMessage, WPARAM&, LPARAM&, LRESULT&) override
    {
        if (nMessage == WM_USER + 1)
            throw 1;
        return hookContinue;
    }
};
} // namespace

TEST_F(HookManagerTest, ClientRemovingItselfDuringAMessageLeavesTheChainIntact)
{
    LoggingClient a("a");
    SelfRemovingClient self;
    XTPHookManager()->SetHook(m_hWnd, &a);
    XTPHookManager()->SetHook(m_hWnd, &self);

    ::SendMessageA(m_hWnd, WM_USER + 1, 1, 0);
    EXPECT_EQ(std::vector<std::string>({ "self", "a:1", "window:1" }), g_log);
    ASSERT_NE(nullptr, XTPHookManager()->Lookup(m_hWnd));
    EXPECT_EQ(1, XTPHookManager()->Lookup(m_hWnd)->GetSize());
    XTPHookManager()->RemoveAll(m_hWnd);
}

TEST_F(HookManagerTest, LastClientRemovingItselfStillLetsTheWindowAnswer)
{
    SelfRemovingClient self;
    XTPHookManager()->SetHook(m_hWnd, &self);
    EXPECT_EQ(7, ::SendMessageA(m_hWnd, WM_USER + 1, 2, 0));
    EXPECT_EQ(std::vector<std::string>({ "self", "window:2" }), g_log);
    EXPECT_TRUE((WNDPROC)OriginalProc == CurrentProc(m_hWnd));
}

TEST_F(HookManagerTest, ThrowingClientCountsAsNotHandled)
{
    LoggingClient a("a");
    ThrowingClient thrower;
    XTPHookManager()->SetHook(m_hWnd, &a);
    XTPHookManager()->SetHook(m_hWnd, &thrower);
    EXPECT_EQ(7, ::SendMessageA(m_hWnd, WM_USER + 1, 1, 0));
    EXPECT_EQ(std::vector<std::string>({ "a:1", "window:1" }), g_log);
    XTPHookManager()->RemoveAll(m_hWnd);
}
