// The application and thread: start-up and shut-down, the pump and idle
// updates, the PreTranslateMessage walk, modal loops, the profile in the
// registry, the recent-file list, the command line and the global helpers.
#include "support/wndtest.h"
#include "window/wndimpl.h"

#include <stdexcept>
#include <string>
#include <vector>

using namespace testsupport;

namespace
{

class CTestApp : public CWinApp
{
public:
    BOOL bFailInit = FALSE;
    BOOL bThrowInInit = FALSE;
    BOOL bMakeMainWindow = FALSE;
    int nInit = 0;
    int nExit = 0;

    virtual BOOL InitInstance();
    virtual int ExitInstance()
    {
        ++nExit;
        CWinApp::ExitInstance();
        return 77;
    }
};

CTestApp theApp;
::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new Environment);

LPCTSTR PlainClass()
{
    return AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW), (HBRUSH)(COLOR_WINDOW + 1));
}

// Records idle updates and pre-translation calls.
std::vector<std::string> g_log;

class CProbe : public CWnd
{
public:
    explicit CProbe(const char* pszName, BOOL bEat = FALSE) : m_strName(pszName), m_bEat(bEat) {}
    std::string m_strName;
    BOOL m_bEat;
    int nIdle = 0;
    WPARAM wIdleLast = 0;
    int nKeyDown = 0;

    virtual BOOL PreTranslateMessage(MSG* pMsg)
    {
        if (pMsg->message == WM_KEYDOWN)
            g_log.push_back(m_strName);
        return m_bEat;
    }
    afx_msg LRESULT OnIdleUpdate(WPARAM wParam, LPARAM)
    {
        ++nIdle;
        wIdleLast = wParam;
        return 0;
    }
    afx_msg void OnKeyDown(UINT, UINT, UINT) { ++nKeyDown; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CProbe, CWnd)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdate)
    ON_WM_KEYDOWN()
END_MESSAGE_MAP()

class CProbeFrame : public CFrameWnd
{
public:
    int nIdle = 0;
    virtual BOOL PreTranslateMessage(MSG* pMsg)
    {
        if (pMsg->message == WM_KEYDOWN)
            g_log.push_back("frame");
        return CFrameWnd::PreTranslateMessage(pMsg);
    }
    afx_msg LRESULT OnIdleUpdate(WPARAM wParam, LPARAM lParam)
    {
        ++nIdle;
        return CFrameWnd::OnIdleUpdateCmdUI(wParam, lParam);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CProbeFrame, CFrameWnd)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdate)
END_MESSAGE_MAP()

class CProbeMiniFrame : public CMiniFrameWnd
{
public:
    int nIdle = 0;
    afx_msg LRESULT OnIdleUpdate(WPARAM wParam, LPARAM lParam)
    {
        ++nIdle;
        return CMiniFrameWnd::OnIdleUpdateCmdUI(wParam, lParam);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CProbeMiniFrame, CMiniFrameWnd)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdate)
END_MESSAGE_MAP()

BOOL CTestApp::InitInstance()
{
    ++nInit;
    if (bThrowInInit)
        throw std::runtime_error("no start");
    if (bFailInit)
        return FALSE;
    if (bMakeMainWindow)
    {
        CProbeFrame* pFrame = new CProbeFrame;
        if (!pFrame->Create(NULL, "main", WS_OVERLAPPEDWINDOW, CRect(0, 0, 200, 100)))
            return FALSE;
        m_pMainWnd = pFrame;
        pFrame->PostMessage(WM_CLOSE);   // the loop runs until the window closes
    }
    return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// Start-up and the message loop

TEST(WinMain, ExitInstanceRunsEvenWhenInitInstanceFails)
{
    theApp.nInit = theApp.nExit = 0;
    theApp.bFailInit = TRUE;
    EXPECT_EQ(77, AfxWinMain(::GetModuleHandle(NULL), NULL, (LPTSTR) "", SW_HIDE));
    EXPECT_EQ(1, theApp.nInit);
    EXPECT_EQ(1, theApp.nExit);
    theApp.bFailInit = FALSE;

    Exceptions().clear();
    theApp.bThrowInInit = TRUE;
    EXPECT_EQ(77, AfxWinMain(::GetModuleHandle(NULL), NULL, (LPTSTR) "", SW_HIDE));
    EXPECT_EQ(2, theApp.nExit);
    EXPECT_EQ(1u, Exceptions().size());
    theApp.bThrowInInit = FALSE;
    AfxWinInit(::GetModuleHandle(NULL), NULL, (LPTSTR) "", SW_SHOWNORMAL);
}

TEST(WinMain, TheMainWindowClosingEndsTheLoop)
{
    theApp.nExit = 0;
    theApp.bMakeMainWindow = TRUE;
    EXPECT_EQ(77, AfxWinMain(::GetModuleHandle(NULL), NULL, (LPTSTR) "", SW_HIDE));
    theApp.bMakeMainWindow = FALSE;
    EXPECT_EQ(1, theApp.nExit);
    EXPECT_EQ(NULL, theApp.m_pMainWnd);   // cleared at its WM_NCDESTROY
    EXPECT_EQ((UINT)WM_QUIT, theApp.m_msgCur.message);
    AfxWinInit(::GetModuleHandle(NULL), NULL, (LPTSTR) "", SW_SHOWNORMAL);
}

TEST(Pump, PumpMessageAnswersFalseOnQuit)
{
    DrainQuit();
    ::PostQuitMessage(3);
    EXPECT_FALSE(theApp.PumpMessage());
    EXPECT_EQ((UINT)WM_QUIT, theApp.m_msgCur.message);
    EXPECT_EQ(3, (int)theApp.m_msgCur.wParam);

    // The helper for other loops also hands the quit on.
    ::PostQuitMessage(6);
    EXPECT_FALSE(AfxPumpMessage());
    MSG msg;
    ASSERT_TRUE(::PeekMessage(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(6, (int)msg.wParam);
}

/////////////////////////////////////////////////////////////////////////////
// Idle updates and the walk, with a visible main window

class MainWindowTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_pFrame = new CProbeFrame;
        ASSERT_TRUE(s_pFrame->Create(NULL, "main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 400, 300)));
        s_pChild = new CProbe("child");
        ASSERT_TRUE(s_pChild->Create(NULL, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 100), s_pFrame, 1));
        s_pGrandChild = new CProbe("grandchild");
        ASSERT_TRUE(s_pGrandChild->Create(NULL, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 50), s_pChild, 2));
        theApp.m_pMainWnd = s_pFrame;
    }
    static void TearDownTestSuite()
    {
        delete s_pGrandChild;
        delete s_pChild;
        s_pFrame->DestroyWindow();   // deletes itself, posts WM_QUIT
        EXPECT_EQ(NULL, theApp.m_pMainWnd);
        EXPECT_TRUE(DrainQuit());
    }
    void SetUp() override
    {
        PumpPending();   // what creation posted
        g_log.clear();
    }

    static CProbeFrame* s_pFrame;
    static CProbe* s_pChild;
    static CProbe* s_pGrandChild;
};

CProbeFrame* MainWindowTest::s_pFrame = NULL;
CProbe* MainWindowTest::s_pChild = NULL;
CProbe* MainWindowTest::s_pGrandChild = NULL;

TEST_F(MainWindowTest, IdleUpdatesReachTheMainWindowItsDescendantsAndOtherFrames)
{
    CProbeMiniFrame* pMini = new CProbeMiniFrame;
    ASSERT_TRUE(pMini->CreateEx(0, NULL, "mini", WS_POPUP | WS_CAPTION | WS_VISIBLE, CRect(10, 10, 110, 110),
                                s_pFrame));
    EXPECT_TRUE(pMini->GetExStyle() & WS_EX_TOOLWINDOW);
    CProbe* pMiniChild = new CProbe("minichild");
    ASSERT_TRUE(pMiniChild->Create(NULL, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), pMini, 1));
    CProbeMiniFrame* pHidden = new CProbeMiniFrame;
    ASSERT_TRUE(pHidden->CreateEx(0, NULL, "hidden", WS_POPUP, CRect(10, 10, 110, 110), s_pFrame));

    s_pFrame->nIdle = s_pChild->nIdle = s_pGrandChild->nIdle = 0;
    EXPECT_TRUE(theApp.OnIdle(0));   // more to do: the clean-up pass
    EXPECT_EQ(1, s_pFrame->nIdle);
    EXPECT_EQ(1, s_pChild->nIdle);
    EXPECT_EQ(1, s_pGrandChild->nIdle);
    EXPECT_EQ((WPARAM)TRUE, s_pGrandChild->wIdleLast);
    EXPECT_EQ(1, pMini->nIdle);
    EXPECT_EQ(1, pMiniChild->nIdle);
    EXPECT_EQ(0, pHidden->nIdle);
    EXPECT_FALSE(theApp.OnIdle(1));

    // Mini frames delete themselves; the child object is ours.
    HWND hWndMini = pMini->m_hWnd;
    ::DestroyWindow(pHidden->m_hWnd);
    pMiniChild->DestroyWindow();
    delete pMiniChild;
    ::SendMessage(hWndMini, WM_CLOSE, 0, 0);   // a mini frame's close destroys it
    EXPECT_FALSE(::IsWindow(hWndMini));
}

TEST_F(MainWindowTest, TheWalkGoesFromTheTargetUpToTheMainWindow)
{
    ::PostMessage(s_pGrandChild->m_hWnd, WM_KEYDOWN, 'A', 0);
    EXPECT_TRUE(PumpPending());
    EXPECT_EQ(std::vector<std::string>({ "grandchild", "child", "frame" }), g_log);
    EXPECT_EQ(1, s_pGrandChild->nKeyDown);   // nobody took it: dispatched
}

TEST_F(MainWindowTest, AWindowTakingTheMessageEndsTheWalkAndTheDispatch)
{
    s_pChild->m_bEat = TRUE;
    s_pGrandChild->nKeyDown = 0;
    ::PostMessage(s_pGrandChild->m_hWnd, WM_KEYDOWN, 'B', 0);
    EXPECT_TRUE(PumpPending());
    s_pChild->m_bEat = FALSE;
    EXPECT_EQ(std::vector<std::string>({ "grandchild", "child" }), g_log);
    EXPECT_EQ(0, s_pGrandChild->nKeyDown);
}

TEST_F(MainWindowTest, APopupsWalkContinuesThroughItsOwner)
{
    CProbe popup("popup");
    ASSERT_TRUE(popup.CreateEx(0, PlainClass(), "", WS_POPUP, 0, 0, 50, 50, s_pFrame->m_hWnd, NULL));
    CProbe popupChild("popupchild");
    ASSERT_TRUE(popupChild.Create(NULL, "", WS_CHILD, CRect(0, 0, 10, 10), &popup, 1));
    PumpPending();
    g_log.clear();
    ::PostMessage(popupChild.m_hWnd, WM_KEYDOWN, 'C', 0);
    EXPECT_TRUE(PumpPending());
    EXPECT_EQ(std::vector<std::string>({ "popupchild", "popup", "frame" }), g_log);

    // An unowned top-level window still gets the main window's turn last.
    g_log.clear();
    CProbe loner("loner");
    ASSERT_TRUE(loner.CreateEx(0, PlainClass(), "", WS_POPUP, 0, 0, 50, 50, NULL, NULL));
    PumpPending();
    g_log.clear();
    ::PostMessage(loner.m_hWnd, WM_KEYDOWN, 'D', 0);
    EXPECT_TRUE(PumpPending());
    EXPECT_EQ(std::vector<std::string>({ "loner", "frame" }), g_log);
    loner.DestroyWindow();
    popupChild.DestroyWindow();
    popup.DestroyWindow();
}

/////////////////////////////////////////////////////////////////////////////
// Modal loops

class CModalProbe : public CWnd
{
public:
    int nKick = 0;
    int nEndAt = -1;   // ends the loop at this kick count
    afx_msg LRESULT OnKickIdle(WPARAM, LPARAM lCount)
    {
        ++nKick;
        if (nEndAt >= 0 && nKick >= nEndAt)
            EndModalLoop(42);
        return lCount < 2;   // wants two more kicks per idle phase
    }
    afx_msg void OnTimer(UINT_PTR nIDEvent)
    {
        KillTimer(nIDEvent);
        EndModalLoop((int)nIDEvent);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CModalProbe, CWnd)
    ON_MESSAGE(WM_KICKIDLE, OnKickIdle)
    ON_WM_TIMER()
END_MESSAGE_MAP()

class CIdleOwner : public CWnd
{
public:
    int nEnterIdle = 0;
    afx_msg void OnEnterIdle(UINT nWhy, CWnd*)
    {
        if (nWhy == MSGF_DIALOGBOX)
            ++nEnterIdle;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CIdleOwner, CWnd)
    ON_WM_ENTERIDLE()
END_MESSAGE_MAP()

TEST(ModalLoop, QuitInsideAModalLoopIsPostedAgain)
{
    DrainQuit();
    CModalProbe wnd;
    ASSERT_TRUE(wnd.CreateEx(0, PlainClass(), "", WS_POPUP, 0, 0, 10, 10, NULL, NULL));
    ::PostQuitMessage(9);
    EXPECT_EQ(-1, wnd.RunModalLoop(MLF_NOIDLEMSG));
    MSG msg;
    ASSERT_TRUE(::PeekMessage(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(9, (int)msg.wParam);
    EXPECT_FALSE(wnd.ContinueModal());
    wnd.DestroyWindow();
}

TEST(ModalLoop, EndModalLoopEndsItWithTheResult)
{
    CIdleOwner owner;
    ASSERT_TRUE(owner.CreateEx(0, PlainClass(), "", WS_POPUP, 0, 0, 10, 10, NULL, NULL));
    CModalProbe wnd;
    ASSERT_TRUE(wnd.CreateEx(0, PlainClass(), "", WS_POPUP, 0, 0, 10, 10, owner.m_hWnd, NULL));
    wnd.SetTimer(55, 10);
    EXPECT_EQ(55, wnd.RunModalLoop(0));
    EXPECT_GE(wnd.nKick, 1);
    EXPECT_GE(owner.nEnterIdle, 1);   // the owner heard the loop was idle

    // MLF_NOIDLEMSG keeps the owner out of it; the kicks end the loop here.
    owner.nEnterIdle = 0;
    wnd.nKick = 0;
    wnd.nEndAt = 2;
    EXPECT_EQ(42, wnd.RunModalLoop(MLF_NOIDLEMSG));
    EXPECT_EQ(0, owner.nEnterIdle);
    wnd.DestroyWindow();
    owner.DestroyWindow();
}

/////////////////////////////////////////////////////////////////////////////
// Profile in the registry

const char* const kTestKey = "BrindlemarkWindowLayerTests";

class ProfileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        DeleteTestKey();
        theApp.SetRegistryKey(kTestKey);
        ASSERT_STREQ("Brindlemark", theApp.m_pszProfileName);
    }
    void TearDown() override
    {
        DeleteTestKey();
        free((void*)theApp.m_pszRegistryKey);
        theApp.m_pszRegistryKey = NULL;
        delete theApp.m_pRecentFileList;
        theApp.m_pRecentFileList = NULL;
    }
    static void DeleteTestKey()
    {
        HKEY hSoftware;
        if (::RegOpenKeyEx(HKEY_CURRENT_USER, "Software", 0, KEY_ALL_ACCESS, &hSoftware) == ERROR_SUCCESS)
        {
            theApp.DelRegTree(hSoftware, kTestKey);
            ::RegCloseKey(hSoftware);
        }
    }
    static BOOL KeyExists(const CString& strPath)
    {
        HKEY hKey;
        if (::RegOpenKeyEx(HKEY_CURRENT_USER, strPath, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
            return FALSE;
        ::RegCloseKey(hKey);
        return TRUE;
    }
    CString AppPath() const { return CString("Software\\") + kTestKey + "\\Brindlemark"; }
};

TEST_F(ProfileTest, ValuesRoundTripAndMissingOnesGiveTheDefault)
{
    EXPECT_EQ(17u, theApp.GetProfileInt("Settings", "Missing", 17));
    EXPECT_STREQ("dflt", theApp.GetProfileString("Settings", "Missing", "dflt"));
    EXPECT_FALSE(KeyExists(AppPath()));   // reading creates nothing

    EXPECT_TRUE(theApp.WriteProfileInt("Settings", "Count", -5));
    EXPECT_EQ((UINT)-5, theApp.GetProfileInt("Settings", "Count", 0));
    EXPECT_TRUE(theApp.WriteProfileString("Settings", "Name", "Orrisfield puzzle"));
    EXPECT_STREQ("Orrisfield puzzle", theApp.GetProfileString("Settings", "Name"));
    EXPECT_TRUE(KeyExists(AppPath() + "\\Settings"));

    // A value of the wrong type is not read as something else.
    EXPECT_EQ(3u, theApp.GetProfileInt("Settings", "Name", 3));
    EXPECT_STREQ("x", theApp.GetProfileString("Settings", "Count", "x"));

    BYTE data[300];
    for (int i = 0; i < 300; ++i)
        data[i] = (BYTE)(i * 7);
    EXPECT_TRUE(theApp.WriteProfileBinary("Bars", "State", data, sizeof(data)));
    LPBYTE pData = (LPBYTE)1;
    UINT nBytes = 1;
    ASSERT_TRUE(theApp.GetProfileBinary("Bars", "State", &pData, &nBytes));
    ASSERT_EQ(300u, nBytes);
    EXPECT_EQ(0, memcmp(data, pData, 300));
    delete[] pData;
    EXPECT_FALSE(theApp.GetProfileBinary("Bars", "Missing", &pData, &nBytes));
    EXPECT_EQ(NULL, pData);
    EXPECT_EQ(0u, nBytes);
    EXPECT_FALSE(theApp.GetProfileBinary("Settings", "Name", &pData, &nBytes));   // a string
}

TEST(IniProfile, OverlongValuesAreRefusedBeforeTheSystemSeesThem)
{
    // Without a registry key the profile is an INI file.
    char szTemp[MAX_PATH], szFile[MAX_PATH];
    ::GetTempPathA(MAX_PATH, szTemp);
    ASSERT_NE(0u, ::GetTempFileNameA(szTemp, "bmi", 0, szFile));
    LPCTSTR pszOldProfile = theApp.m_pszProfileName;
    LPCTSTR pszOldKey = theApp.m_pszRegistryKey;
    theApp.m_pszProfileName = szFile;
    theApp.m_pszRegistryKey = NULL;

    EXPECT_TRUE(theApp.WriteProfileString("Bars", "Short", "abc"));
    // Values stored earlier under the names written below: a refused write
    // removes them, so that they are not read back as the new ones.
    BYTE earlier[4] = {1, 2, 3, 4};
    ASSERT_TRUE(theApp.WriteProfileBinary("Bars", "State", earlier, sizeof(earlier)));
    ASSERT_TRUE(theApp.WriteProfileString("Bars", "Text", "earlier"));
    std::vector<BYTE> blob(21000, 0x5A);   // 42,000 letters in the file
    EXPECT_FALSE(theApp.WriteProfileBinary("Bars", "State", &blob[0], (UINT)blob.size()));
    std::string strLong(40000, 'x');
    EXPECT_FALSE(theApp.WriteProfileString("Bars", "Text", strLong.c_str()));
    EXPECT_TRUE(theApp.WriteProfileBinary("Bars", "Small", &blob[0], 100));

    EXPECT_STREQ("abc", theApp.GetProfileString("Bars", "Short"));
    LPBYTE pData = NULL;
    UINT nBytes = 0;
    EXPECT_FALSE(theApp.GetProfileBinary("Bars", "State", &pData, &nBytes));
    EXPECT_STREQ("none", theApp.GetProfileString("Bars", "Text", "none"));
    ASSERT_TRUE(theApp.GetProfileBinary("Bars", "Small", &pData, &nBytes));
    EXPECT_EQ(100u, nBytes);
    delete[] pData;

    theApp.m_pszProfileName = pszOldProfile;
    theApp.m_pszRegistryKey = pszOldKey;
    ::DeleteFileA(szFile);
}

TEST_F(ProfileTest, NullValueDeletesTheEntryAndNullEntryTheSection)
{
    theApp.WriteProfileString("Sec", "A", "1");
    theApp.WriteProfileString("Sec", "B", "2");
    EXPECT_TRUE(theApp.WriteProfileString("Sec", "A", NULL));
    EXPECT_STREQ("gone", theApp.GetProfileString("Sec", "A", "gone"));
    EXPECT_STREQ("2", theApp.GetProfileString("Sec", "B"));

    // Sub-keys go with the section.
    HKEY hSecKey = theApp.GetSectionKey("Sec");
    ASSERT_TRUE(hSecKey != NULL);
    HKEY hSub;
    ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyEx(hSecKey, "Nested\\Deeper", 0, NULL, 0, KEY_ALL_ACCESS, NULL, &hSub, NULL));
    ::RegCloseKey(hSub);
    ::RegCloseKey(hSecKey);
    EXPECT_TRUE(theApp.WriteProfileString("Sec", NULL, NULL));
    EXPECT_FALSE(KeyExists(AppPath() + "\\Sec"));
    EXPECT_TRUE(KeyExists(AppPath()));
    // Deleting what is not there reports it.
    EXPECT_FALSE(theApp.WriteProfileString("Sec", NULL, NULL));
}

TEST_F(ProfileTest, TheRecentFileListKeepsItsOrderAndLength)
{
    theApp.LoadStdProfileSettings(4);
    CRecentFileList* pList = theApp.m_pRecentFileList;
    ASSERT_TRUE(pList != NULL);
    EXPECT_EQ(4, pList->GetSize());
    const char* files[] = { "C:\\p\\one.hti", "C:\\p\\two.hti", "C:\\p\\three.hti", "C:\\p\\four.hti",
                            "C:\\p\\five.hti" };
    for (const char* f : files)
        theApp.AddToRecentFileList(f);
    EXPECT_STREQ("C:\\p\\five.hti", (*pList)[0]);
    EXPECT_STREQ("C:\\p\\two.hti", (*pList)[3]);   // "one" dropped out

    theApp.AddToRecentFileList("c:\\P\\THREE.hti");   // same file: moves up
    EXPECT_STREQ("c:\\P\\THREE.hti", (*pList)[0]);
    EXPECT_STREQ("C:\\p\\five.hti", (*pList)[1]);
    EXPECT_STREQ("C:\\p\\four.hti", (*pList)[2]);
    EXPECT_STREQ("C:\\p\\two.hti", (*pList)[3]);

    pList->Remove(1);
    EXPECT_STREQ("C:\\p\\four.hti", (*pList)[1]);
    EXPECT_TRUE((*pList)[3].IsEmpty());

    // Written at exit, read back at the next start.
    theApp.ExitInstance();
    EXPECT_STREQ("C:\\p\\four.hti", theApp.GetProfileString("Recent File List", "File2"));
    EXPECT_STREQ("", theApp.GetProfileString("Recent File List", "File4"));
    theApp.LoadStdProfileSettings(4);
    EXPECT_STREQ("c:\\P\\THREE.hti", (*theApp.m_pRecentFileList)[0]);
    EXPECT_STREQ("C:\\p\\two.hti", (*theApp.m_pRecentFileList)[2]);
}

TEST_F(ProfileTest, SettingsAreWrittenAtExitOnlyWhenTheyWereLoaded)
{
    theApp.ExitInstance();
    EXPECT_FALSE(KeyExists(AppPath() + "\\Recent File List"));
}

TEST_F(ProfileTest, TheRecentFilesFillTheFileMenu)
{
    theApp.LoadStdProfileSettings(4);
    CRecentFileList* pList = theApp.m_pRecentFileList;
    HMENU hMenu = ::CreatePopupMenu();
    ::AppendMenu(hMenu, MF_STRING, ID_FILE_NEW, "New");
    ::AppendMenu(hMenu, MF_STRING | MF_GRAYED, ID_FILE_MRU_FILE1, "Recent File");
    ::AppendMenu(hMenu, MF_STRING, ID_APP_EXIT, "Exit");

    CFrameWnd* pFrame = new CFrameWnd;
    ASSERT_TRUE(pFrame->Create(NULL, "menu", WS_OVERLAPPEDWINDOW, CRect(0, 0, 100, 100)));

    // No files: the placeholder stays, disabled.
    pFrame->SendMessage(WM_INITMENUPOPUP, (WPARAM)hMenu, 0);
    EXPECT_EQ(3, ::GetMenuItemCount(hMenu));
    EXPECT_TRUE(::GetMenuState(hMenu, ID_FILE_MRU_FILE1, MF_BYCOMMAND) & MF_GRAYED);

    char szDir[MAX_PATH];
    ::GetCurrentDirectory(MAX_PATH, szDir);
    pList->Add(CString(szDir) + "\\here.hti");
    pList->Add("C:\\folder with a very long name\\and another long one\\Tom & Jerry.hti");
    pFrame->SendMessage(WM_INITMENUPOPUP, (WPARAM)hMenu, 0);
    ASSERT_EQ(4, ::GetMenuItemCount(hMenu));
    char szText[256];
    ::GetMenuString(hMenu, ID_FILE_MRU_FILE1, szText, sizeof(szText), MF_BYCOMMAND);
    EXPECT_EQ(std::string::npos, std::string(szText).find("another long"));   // abbreviated
    EXPECT_NE(std::string::npos, std::string(szText).find("Tom && Jerry.hti"));
    EXPECT_EQ(0, strncmp(szText, "&1 ", 3));
    ::GetMenuString(hMenu, ID_FILE_MRU_FILE1 + 1, szText, sizeof(szText), MF_BYCOMMAND);
    EXPECT_STREQ("&2 here.hti", szText);   // in the current folder: the name alone
    EXPECT_FALSE(::GetMenuState(hMenu, ID_FILE_MRU_FILE1, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_EQ((UINT)ID_APP_EXIT, ::GetMenuItemID(hMenu, 3));

    pFrame->DestroyWindow();
    ::DestroyMenu(hMenu);
}

/////////////////////////////////////////////////////////////////////////////
// Command line and shell commands

TEST(CommandLine, ParametersSelectTheShellCommand)
{
    CCommandLineInfo info;
    EXPECT_EQ(CCommandLineInfo::FileNew, info.m_nShellCommand);
    info.ParseParam("-gtest_filter=x", TRUE, FALSE);   // not ours: ignored
    info.ParseParam("nologo", TRUE, FALSE);
    info.ParseParam("puzzle.hti", FALSE, TRUE);
    EXPECT_EQ(CCommandLineInfo::FileOpen, info.m_nShellCommand);
    EXPECT_STREQ("puzzle.hti", info.m_strFileName);
    EXPECT_FALSE(info.m_bShowSplash);

    CCommandLineInfo print;
    print.ParseParam("p", TRUE, FALSE);
    print.ParseParam("puzzle.hti", FALSE, TRUE);
    EXPECT_EQ(CCommandLineInfo::FilePrint, print.m_nShellCommand);
}

TEST(CommandLine, ProcessShellCommandFailsWithoutAMainWindow)
{
    Boxes().texts.clear();
    CCommandLineInfo info;
    EXPECT_FALSE(theApp.ProcessShellCommand(info));   // no template: no frame
    ASSERT_EQ(1u, Boxes().texts.size());
    EXPECT_EQ("Failed to create empty document.", Boxes().texts[0]);

    CCommandLineInfo nothing;
    nothing.m_nShellCommand = CCommandLineInfo::FileNothing;
    EXPECT_TRUE(theApp.ProcessShellCommand(nothing));
}

/////////////////////////////////////////////////////////////////////////////
// Global helpers

TEST(Globals, MessageBoxesGoThroughTheHook)
{
    Boxes().texts.clear();
    Boxes().nAnswer = IDNO;
    EXPECT_EQ(IDNO, AfxMessageBox("plain", MB_YESNO));
    EXPECT_EQ(IDNO, AfxMessageBox(AFX_IDP_PARSE_INT, MB_YESNO));
    Boxes().nAnswer = IDOK;
    CWnd wnd;
    EXPECT_EQ(IDOK, wnd.MessageBox("from a window"));
    EXPECT_EQ(IDOK, AfxMessageBoxW(L"in wide characters"));
    EXPECT_EQ(std::vector<std::string>({"plain", "Please enter an integer.", "from a window", "in wide characters"}),
              Boxes().texts);

    // Exceptions reporting themselves use the same path.
    Boxes().texts.clear();
    CFileException e(CFileException::fileNotFound, -1, "gone.hti");
    e.ReportError();
    EXPECT_EQ(1u, Boxes().texts.size());
}

TEST(Globals, NamesComeFromTheResources)
{
    EXPECT_STREQ("Brindlemark", theApp.m_pszAppName);
    EXPECT_STREQ("Brindlemark", AfxGetAppName());
    EXPECT_EQ(&theApp, AfxGetApp());
    EXPECT_EQ((CWinThread*)&theApp, AfxGetThread());
    EXPECT_TRUE(theApp.m_pszExeName != NULL && *theApp.m_pszExeName != '\0');
}

TEST(Globals, WindowClassesRegisterOnce)
{
    WNDCLASS wc = {};
    wc.lpfnWndProc = ::DefWindowProc;
    wc.hInstance = AfxGetInstanceHandle();
    wc.lpszClassName = "BrindlemarkTestClass";
    EXPECT_TRUE(AfxRegisterClass(&wc));
    EXPECT_TRUE(AfxRegisterClass(&wc));   // already there: still TRUE

    LPCTSTR lpsz1 = AfxRegisterWndClass(CS_DBLCLKS, NULL, (HBRUSH)(COLOR_BTNFACE + 1));
    LPCTSTR lpsz2 = AfxRegisterWndClass(CS_DBLCLKS, NULL, (HBRUSH)(COLOR_BTNFACE + 1));
    LPCTSTR lpsz3 = AfxRegisterWndClass(0);
    EXPECT_STREQ(lpsz1, lpsz2);
    EXPECT_STRNE(lpsz1, lpsz3);
    WNDCLASS info;
    ASSERT_TRUE(::GetClassInfo(AfxGetInstanceHandle(), lpsz1, &info));
    EXPECT_EQ((UINT)CS_DBLCLKS, info.style);
}

TEST(Globals, FileTitlesKeepTheExtension)
{
    char szTitle[64];
    EXPECT_EQ(0u, AfxGetFileTitle("C:\\games\\My Puzzle.hti", szTitle, sizeof(szTitle)));
    EXPECT_STREQ("My Puzzle.hti", szTitle);
    EXPECT_EQ(sizeof("b.txt"), AfxGetFileTitle("a/b.txt", NULL, 0));
    EXPECT_EQ(0u, AfxGetFileTitle("noslash", szTitle, 4));
    EXPECT_STREQ("nos", szTitle);   // cut to the buffer

    CString str;
    AfxFormatString2(str, AFX_IDP_PARSE_INT_RANGE, "1", "9");
    EXPECT_STREQ("Please enter an integer between 1 and 9.", str);
}

TEST(Globals, SocketsStart)
{
    EXPECT_TRUE(AfxSocketInit());
    EXPECT_TRUE(AfxSocketInit());   // again: still fine
}

/////////////////////////////////////////////////////////////////////////////
// Worker threads

UINT AFX_CDECL WorkerProc(LPVOID pParam)
{
    CWinThread** ppSeen = (CWinThread**)pParam;
    *ppSeen = AfxGetThread();
    return 5;
}

UINT AFX_CDECL ThrowingProc(LPVOID)
{
    throw std::runtime_error("worker failed");
}

TEST(Threads, WorkerThreadsRunAndTheirExceptionsAreCaught)
{
    CWinThread* pSeen = NULL;
    CWinThread* pThread = AfxBeginThread(&WorkerProc, &pSeen, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_TRUE(pThread != NULL);
    pThread->m_bAutoDelete = FALSE;
    pThread->ResumeThread();
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(pThread->m_hThread, 5000));
    DWORD dwExit = 0;
    ::GetExitCodeThread(pThread->m_hThread, &dwExit);
    EXPECT_EQ(5u, dwExit);
    EXPECT_EQ(pThread, pSeen);
    delete pThread;

    Exceptions().clear();
    CWinThread* pThrowing = AfxBeginThread(&ThrowingProc, NULL, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_TRUE(pThrowing != NULL);
    pThrowing->m_bAutoDelete = FALSE;
    pThrowing->ResumeThread();
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(pThrowing->m_hThread, 5000));
    EXPECT_EQ(1u, Exceptions().size());
    delete pThrowing;
}

} // namespace
