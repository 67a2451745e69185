// Bar state between runs: where the game's three bars stand, hidden bars,
// other screen sizes, and the controls of customizable bars in the profile
// or in a file of their own.
// ctest: lock registry
#include <gtest/gtest.h>

#include "XTPCommandBarsState.h"
#include "XTPDockBar.h"
#include "XTPMenuBar.h"
#include "XTPPopupBar.h"
#include "XTPStatusBar.h"
#include "support/bars_frame.h"
#include "support/profile_app.h"
#include "support/tempfolder.h"

#include <algorithm>
#include <memory>
#include <shlobj.h>
#include <string>
#include <vector>

using testsupport::CBarsFrame;

namespace
{
const char* const kTestKey = "BrindlemarkBarStateTests";

// The game's frame: "Menu Bar" (1), "Standard" (102) and "Timer" (130).
CBarsFrame* CreateGameFrame(BOOL bCustomizable = FALSE)
{
    CBarsFrame* pFrame = CBarsFrame::Create(CRect(20, 20, 620, 420), bCustomizable);
    CXTPCommandBars* pBars = pFrame->GetCommandBars();
    pBars->CreateMenuBar("Menu Bar", 102);
    CXTPToolBar* pStandard = pFrame->AddToolBar("Standard", {{57600, "New"}, {57601, "Open"}});
    pStandard->SetBarID(102);
    CXTPToolBar* pTimer = pFrame->AddToolBar("Timer", {{2030, "Clock"}});
    pTimer->SetBarID(130);
    pFrame->RecalcLayout();
    return pFrame;
}

// The window style of a bar (a bar's own GetStyle gives its bar style).
DWORD WindowStyle(CXTPToolBar* pBar)
{
    return (DWORD)::GetWindowLongPtr(pBar->GetSafeHwnd(), GWL_STYLE);
}

class BarStateTest : public ::testing::Test
{
protected:
    BarStateTest() : app(kTestKey) {}
    testsupport::ProfileApp app;
};
} // namespace

TEST_F(BarStateTest, TheThreeBarsAreSavedWithDefaultsLeftOut)
{
    CBarsFrame* pFrame = CreateGameFrame();
    pFrame->GetCommandBars()->SaveBarState("CommandBars");
    pFrame->DestroyWindow();

    EXPECT_EQ(3u, app.QueryDword("CommandBars-Summary", "Bars"));
    EXPECT_EQ((DWORD)::GetSystemMetrics(SM_CXSCREEN), app.QueryDword("CommandBars-Summary", "ScreenCX"));
    EXPECT_EQ((DWORD)::GetSystemMetrics(SM_CYSCREEN), app.QueryDword("CommandBars-Summary", "ScreenCY"));
    EXPECT_EQ(1u, app.QueryDword("CommandBars-Bar0", "BarID"));
    EXPECT_EQ(102u, app.QueryDword("CommandBars-Bar1", "BarID"));
    EXPECT_EQ(130u, app.QueryDword("CommandBars-Bar2", "BarID"));
    for (const char* pszSection : {"CommandBars-Bar0", "CommandBars-Bar1", "CommandBars-Bar2"})
    {
        EXPECT_FALSE(app.Exists(pszSection, "Visible")) << pszSection;
        EXPECT_FALSE(app.Exists(pszSection, "Floating")) << pszSection;
        EXPECT_FALSE(app.Exists(pszSection, "MRUWidth")) << pszSection;
        EXPECT_TRUE(app.Exists(pszSection, "MRUDockID")) << pszSection;
    }
    // The top dock bar's rows: bar ids and row ends, with doubled ends left out.
    DWORD nEntries = app.QueryDword("CommandBars-DockBar0", "Bars");
    ASSERT_GE(nEntries, 4u);
    std::vector<DWORD> ids;
    for (DWORD i = 0; i < nEntries; i++)
        ids.push_back(app.QueryDword("CommandBars-DockBar0", ("Bar#" + std::to_string(i)).c_str()));
    EXPECT_NE(ids.end(), std::find(ids.begin(), ids.end(), 1u));
    EXPECT_NE(ids.end(), std::find(ids.begin(), ids.end(), 102u));
    for (size_t i = 1; i < ids.size(); i++)
        EXPECT_FALSE(ids[i] == 0 && ids[i - 1] == 0) << "no doubled row end";
    EXPECT_FALSE(app.Exists("CommandBars-DockBar1", "Bars")) << "an empty dock bar saves nothing";
    EXPECT_FALSE(app.Exists("CommandBars-Controls", "Controls")) << "the bars are not customizable";
}

TEST_F(BarStateTest, AHiddenBarStaysHiddenAndTheOtherKeepsItsRow)
{
    CBarsFrame* pFrame = CreateGameFrame();
    CXTPCommandBars* pBars = pFrame->GetCommandBars();
    pBars->GetToolBar(130)->SetVisible(FALSE);
    CXTPDockBar* pTop = pBars->GetDockBar(xtpBarTop);
    int nStandardIndex = pTop->FindBar(pBars->GetToolBar(102));
    pBars->SaveBarState("CommandBars");
    pFrame->DestroyWindow();
    EXPECT_EQ(0u, app.QueryDword("CommandBars-Bar2", "Visible"));

    pFrame = CreateGameFrame();
    pBars = pFrame->GetCommandBars();
    pBars->LoadBarState("CommandBars");
    EXPECT_FALSE(pBars->GetToolBar(130)->IsVisible());
    EXPECT_FALSE(pBars->GetToolBar(130)->IsWindowVisible());
    EXPECT_TRUE(pBars->GetToolBar(102)->IsVisible());
    EXPECT_EQ(pTop = pBars->GetDockBar(xtpBarTop), pBars->GetToolBar(102)->GetDockBar());
    EXPECT_EQ(nStandardIndex, pTop->FindBar(pBars->GetToolBar(102)));
    pFrame->DestroyWindow();
}

TEST_F(BarStateTest, FloatingPlacesFollowTheScreenAndStayOnIt)
{
    CSize szScreen(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    CBarsFrame* pFrame = CreateGameFrame();
    pFrame->GetCommandBars()->SaveBarState("CommandBars");
    pFrame->DestroyWindow();

    // Saved on a screen twice as large, the Timer floating at (800, 600).
    DWORD dw;
    dw = (DWORD)szScreen.cx * 2;
    app.SetRaw("CommandBars-Summary", "ScreenCX", REG_DWORD, &dw, 4);
    dw = (DWORD)szScreen.cy * 2;
    app.SetRaw("CommandBars-Summary", "ScreenCY", REG_DWORD, &dw, 4);
    dw = 1;
    app.SetRaw("CommandBars-Bar2", "Floating", REG_DWORD, &dw, 4);
    dw = 800;
    app.SetRaw("CommandBars-Bar2", "XPos", REG_DWORD, &dw, 4);
    dw = 600;
    app.SetRaw("CommandBars-Bar2", "YPos", REG_DWORD, &dw, 4);

    pFrame = CreateGameFrame();
    CXTPCommandBars* pBars = pFrame->GetCommandBars();
    pBars->LoadBarState("CommandBars");
    CXTPToolBar* pTimer = pBars->GetToolBar(130);
    ASSERT_EQ(xtpBarFloating, pTimer->GetPosition());
    CRect rc;
    pTimer->GetWindowRect(&rc);
    EXPECT_EQ(CPoint(400, 300), rc.TopLeft());
    pFrame->DestroyWindow();

    // A place far off the screen comes back an icon's size inside it.
    dw = (DWORD)szScreen.cx;
    app.SetRaw("CommandBars-Summary", "ScreenCX", REG_DWORD, &dw, 4);
    dw = (DWORD)szScreen.cy;
    app.SetRaw("CommandBars-Summary", "ScreenCY", REG_DWORD, &dw, 4);
    dw = 5000;
    app.SetRaw("CommandBars-Bar2", "XPos", REG_DWORD, &dw, 4);
    pFrame = CreateGameFrame();
    pBars = pFrame->GetCommandBars();
    pBars->LoadBarState("CommandBars");
    pBars->GetToolBar(130)->GetWindowRect(&rc);
    CRect rcWork;
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &rcWork, 0);
    EXPECT_EQ(rcWork.right - ::GetSystemMetrics(SM_CXICON), rc.left);
    pFrame->DestroyWindow();
}

TEST_F(BarStateTest, CorruptCountsStopAtTheFirstMissingRecord)
{
    CBarsFrame* pFrame = CreateGameFrame();
    pFrame->GetCommandBars()->SaveBarState("CommandBars");
    pFrame->DestroyWindow();
    DWORD dwHuge = 0x7FFFFFFF;
    app.SetRaw("CommandBars-Summary", "Bars", REG_DWORD, &dwHuge, 4);
    app.SetRaw("CommandBars-DockBar0", "Bars", REG_DWORD, &dwHuge, 4);

    pFrame = CreateGameFrame();
    CXTPCommandBars* pBars = pFrame->GetCommandBars();
    DWORD dwStart = ::GetTickCount();
    pBars->LoadBarState("CommandBars");
    EXPECT_LT(::GetTickCount() - dwStart, 5000u) << "no loop over the stated count";
    EXPECT_TRUE(pBars->GetToolBar(102)->IsVisible());
    EXPECT_LE(pBars->GetDockBar(xtpBarTop)->GetDockedCount(), 10);
    pFrame->DestroyWindow();
}

TEST_F(BarStateTest, ACustomToolbarComesBackFromTheProfile)
{
    CBarsFrame* pFrame = CreateGameFrame(TRUE);
    CXTPCommandBars* pBars = pFrame->GetCommandBars();
    ASSERT_TRUE(pBars->IsCustomizable());
    CXTPToolBar* pCustom = pBars->CreateCustomToolBar("Mine", 1001);
    ASSERT_TRUE(pCustom != NULL);
    CXTPControl* pControl = pCustom->GetControls()->Add(xtpControlButton, 2001);
    pControl->SetCaption("New Puzzle");
    pBars->SaveBarState("CommandBars");
    pFrame->DestroyWindow();

    EXPECT_EQ(0u, app.QueryDword("CommandBars-Controls", "LoadFromFile"));
    DWORD dwType = 0;
    std::vector<BYTE> data;
    ASSERT_TRUE(app.Query("CommandBars-Controls", "Controls", dwType, data));
    EXPECT_EQ((DWORD)REG_BINARY, dwType);

    pFrame = CreateGameFrame(TRUE);
    pBars = pFrame->GetCommandBars();
    pBars->LoadBarState("CommandBars");
    CXTPToolBar* pLoaded = pBars->GetToolBar(1001);
    ASSERT_TRUE(pLoaded != NULL);
    EXPECT_STREQ("Mine", pLoaded->GetTitle());
    ASSERT_EQ(1, pLoaded->GetControlCount());
    EXPECT_STREQ("New Puzzle", pLoaded->GetControl(0)->GetCaption());
    EXPECT_EQ(2001, pLoaded->GetControl(0)->GetID());
    pFrame->DestroyWindow();
}

namespace
{
// Enough controls with distinct captions that the packed data passes 16000 bytes.
void FillLargeBar(CXTPCommandBars* pBars, int nControls = 1200)
{
    CXTPToolBar* pCustom = pBars->CreateCustomToolBar("Large", 1002);
    unsigned int seed = 7;
    for (int i = 0; i < nControls; i++)
    {
        CString strCaption;
        for (int c = 0; c < 40; c++)
        {
            seed = seed * 1103515245u + 12345u;
            strCaption += (char)('A' + (seed >> 16) % 26);
        }
        CXTPControl* pControl = pCustom->GetControls()->Add(xtpControlButton, 3000 + i);
        pControl->SetCaption(strCaption);
        pControl->SetVisible(FALSE);
    }
}

CString AppDataPath(LPCTSTR lpszName)
{
    char szPath[MAX_PATH];
    ::SHGetSpecialFolderPathA(NULL, szPath, CSIDL_APPDATA, FALSE);
    return CString(szPath) + "\\Brindlemark\\" + lpszName;
}
} // namespace

TEST_F(BarStateTest, LargeControlsGoToAHiddenFileAndAFailedWriteKeepsThemLoadable)
{
    CString strPath = AppDataPath("A_B");
    ::SetFileAttributesA(strPath, FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileA(strPath);
    ::RemoveDirectoryA(strPath);

    CBarsFrame* pFrame = CreateGameFrame(TRUE);
    FillLargeBar(pFrame->GetCommandBars());
    pFrame->GetCommandBars()->SaveBarState("A\\B");
    pFrame->DestroyWindow();

    EXPECT_EQ(1u, app.QueryDword("A\\B-Controls", "LoadFromFile"));
    DWORD dwType = 0;
    std::vector<BYTE> data;
    ASSERT_TRUE(app.Query("A\\B-Controls", "Controls", dwType, data));
    EXPECT_EQ((DWORD)REG_SZ, dwType);
    EXPECT_STREQ(strPath, (const char*)data.data());
    DWORD dwAttributes = ::GetFileAttributesA(strPath);
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, dwAttributes);
    EXPECT_TRUE(dwAttributes & FILE_ATTRIBUTE_HIDDEN);

    pFrame = CreateGameFrame(TRUE);
    pFrame->GetCommandBars()->LoadBarState("A\\B");
    ASSERT_TRUE(pFrame->GetCommandBars()->GetToolBar(1002) != NULL);
    EXPECT_EQ(1200, pFrame->GetCommandBars()->GetToolBar(1002)->GetControlCount());

    // Saving over the hidden file works; then a write that cannot happen (a
    // folder stands where the file goes) keeps the controls in the profile.
    pFrame->GetCommandBars()->SaveBarState("A\\B");
    EXPECT_EQ(1u, app.QueryDword("A\\B-Controls", "LoadFromFile"));
    pFrame->DestroyWindow();
    ::SetFileAttributesA(strPath, FILE_ATTRIBUTE_NORMAL);
    ASSERT_TRUE(::DeleteFileA(strPath));
    ASSERT_TRUE(::CreateDirectoryA(strPath, NULL));

    pFrame = CreateGameFrame(TRUE);
    FillLargeBar(pFrame->GetCommandBars());
    pFrame->GetCommandBars()->SaveBarState("A\\B");
    pFrame->DestroyWindow();
    EXPECT_EQ(0u, app.QueryDword("A\\B-Controls", "LoadFromFile"));
    ASSERT_TRUE(app.Query("A\\B-Controls", "Controls", dwType, data));
    EXPECT_EQ((DWORD)REG_BINARY, dwType);
    EXPECT_EQ(0, memcmp(data.data(), "ZIP!", 4));

    pFrame = CreateGameFrame(TRUE);
    pFrame->GetCommandBars()->LoadBarState("A\\B");
    ASSERT_TRUE(pFrame->GetCommandBars()->GetToolBar(1002) != NULL);
    EXPECT_EQ(1200, pFrame->GetCommandBars()->GetToolBar(1002)->GetControlCount());
    pFrame->DestroyWindow();
    ::RemoveDirectoryA(strPath);
}

TEST_F(BarStateTest, ControlsThatFitTheProfileAgainLeaveNoOldFileBehind)
{
    CString strPath = AppDataPath("Shrinking");
    ::SetFileAttributesA(strPath, FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileA(strPath);

    CBarsFrame* pFrame = CreateGameFrame(TRUE);
    FillLargeBar(pFrame->GetCommandBars());
    pFrame->GetCommandBars()->SaveBarState("Shrinking");
    ASSERT_EQ(1u, app.QueryDword("Shrinking-Controls", "LoadFromFile"));
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(strPath));

    // The user deletes the large bar: the next save fits the profile.
    CXTPCommandBars* pBars = pFrame->GetCommandBars();
    pBars->Remove(pBars->GetToolBar(1002));
    pBars->SaveBarState("Shrinking");
    pFrame->DestroyWindow();
    EXPECT_EQ(0u, app.QueryDword("Shrinking-Controls", "LoadFromFile"));
    DWORD dwType = 0;
    std::vector<BYTE> data;
    ASSERT_TRUE(app.Query("Shrinking-Controls", "Controls", dwType, data));
    EXPECT_EQ((DWORD)REG_BINARY, dwType);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(strPath)) << "the hidden file is gone";

    pFrame = CreateGameFrame(TRUE);
    pFrame->GetCommandBars()->LoadBarState("Shrinking");
    EXPECT_TRUE(pFrame->GetCommandBars()->GetToolBar(1002) == NULL);
    pFrame->DestroyWindow();
}

TEST_F(BarStateTest, AFloatingBarDockedByTheStoredStateFloatsAgainAsAFramePopup)
{
    // Saved with the Timer bar docked; it floats when the state is loaded.
    CBarsFrame* pFrame = CreateGameFrame();
    CXTPCommandBars* pBars = pFrame->GetCommandBars();
    pBars->SaveBarState("CommandBars");
    CXTPToolBar* pTimer = pBars->GetToolBar(130);
    ASSERT_TRUE(pBars->FloatCommandBar(pTimer));
    ASSERT_TRUE((WindowStyle(pTimer) & WS_POPUP) != 0);

    pBars->LoadBarState("CommandBars");
    ASSERT_TRUE(pTimer->GetDockBar() != NULL);
    EXPECT_EQ(pTimer->GetDockBar()->GetSafeHwnd(), ::GetParent(pTimer->GetSafeHwnd()));
    EXPECT_TRUE((WindowStyle(pTimer) & WS_CHILD) != 0) << "docked, the bar is a child window";
    EXPECT_TRUE((WindowStyle(pTimer) & WS_POPUP) == 0);

    // Floated again, it is a top-level popup owned by the frame, not a
    // window clipped inside the dock bar.
    ASSERT_TRUE(pBars->FloatCommandBar(pTimer));
    EXPECT_TRUE((WindowStyle(pTimer) & WS_POPUP) != 0);
    EXPECT_EQ(::GetDesktopWindow(), ::GetAncestor(pTimer->GetSafeHwnd(), GA_PARENT));
    EXPECT_EQ(pFrame->GetSafeHwnd(), ::GetWindow(pTimer->GetSafeHwnd(), GW_OWNER));
    pFrame->DestroyWindow();
}

TEST_F(BarStateTest, InAnIniFileControlsOfEveryStoredSizeComeBack)
{
    // Without a registry key the profile is an INI file: packed controls of
    // 8,000 to 16,000 bytes are written there as 16,000 to 32,000 letters
    // and must read back whole.
    CWinApp* pApp = AfxGetApp();
    LPCTSTR pszOldKey = pApp->m_pszRegistryKey;
    LPCTSTR pszOldProfile = pApp->m_pszProfileName;
    testsupport::CTempFolder folder;
    std::string strIni = folder.Path("bars.ini");
    pApp->m_pszRegistryKey = NULL;
    pApp->m_pszProfileName = strIni.c_str();

    CBarsFrame* pFrame = CreateGameFrame(TRUE);
    FillLargeBar(pFrame->GetCommandBars(), 400);
    pFrame->GetCommandBars()->SaveBarState("CommandBars");
    pFrame->DestroyWindow();
    UINT nLoadFromFile = pApp->GetProfileInt("CommandBars-Controls", "LoadFromFile", 7);
    CString strStored = pApp->GetProfileString("CommandBars-Controls", "Controls", "");

    pFrame = CreateGameFrame(TRUE);
    pFrame->GetCommandBars()->LoadBarState("CommandBars");
    CXTPToolBar* pLarge = pFrame->GetCommandBars()->GetToolBar(1002);
    int nControls = pLarge != NULL ? pLarge->GetControlCount() : -1;
    pFrame->DestroyWindow();
    pApp->m_pszRegistryKey = pszOldKey;
    pApp->m_pszProfileName = pszOldProfile;

    EXPECT_EQ(0u, nLoadFromFile);
    EXPECT_GT(strStored.GetLength(), 16000) << "the case the reader used to cut short";
    EXPECT_LE(strStored.GetLength(), 32000);
    EXPECT_EQ(400, nControls);
}

namespace
{
// The game's bars and one toolbar of the player's, "Mine" (1001).
CBarsFrame* CreatePlayerFrame()
{
    CBarsFrame* pFrame = CreateGameFrame(TRUE);
    CXTPToolBar* pMine = pFrame->GetCommandBars()->CreateCustomToolBar("Mine", 1001);
    pMine->GetControls()->Add(xtpControlButton, 57600)->SetCaption("New");
    pMine->GetControls()->Add(xtpControlButton, 57601)->SetCaption("Open");
    return pFrame;
}

// Stores the player's bars under "CommandBars" and closes their frame.
void SavePlayerBars()
{
    CBarsFrame* pFrame = CreatePlayerFrame();
    pFrame->GetCommandBars()->SaveBarState("CommandBars");
    pFrame->DestroyWindow();
}

// The store of one pass of a test: the registry (0), or an INI file in a
// temporary folder (1) that the application uses while this lives.
class BarStore
{
public:
    explicit BarStore(int nStore)
    {
        if (nStore == 1)
            m_ini.reset(new testsupport::IniProfile(m_folder.Path("bars.ini")));
    }

private:
    testsupport::CTempFolder m_folder;
    std::unique_ptr<testsupport::IniProfile> m_ini;
};

bool HasSetAside()
{
    return AfxGetApp()->GetProfileInt("CommandBars-ControlsNotLoaded", "LoadFromFile", 7) != 7;
}
} // namespace

TEST_F(BarStateTest, StoredControlsThatDoNotLoadWholeAreKeptAsideUntilThePlayerChangesTheBars)
{
    for (int nStore = 0; nStore < 2; nStore++)
    {
        SCOPED_TRACE(nStore == 0 ? "registry" : "INI file");
        const BarStore store(nStore);

        SavePlayerBars();
        const std::vector<BYTE> stored = testsupport::ProfileBinary("CommandBars-Controls", "Controls");
        ASSERT_GT(stored.size(), 12u);
        ASSERT_EQ(0, memcmp(stored.data(), "ZIP!", 4));

        // One flipped bit in the packed data: it no longer unpacks.
        std::vector<BYTE> damaged = stored;
        damaged[12] ^= 0x10;
        testsupport::WriteProfileBinary("CommandBars-Controls", "Controls", damaged);
        CBarsFrame* pFrame = CreateGameFrame(TRUE);
        CXTPCommandBars* pBars = pFrame->GetCommandBars();
        pBars->LoadBarState("CommandBars");
        EXPECT_TRUE(pBars->GetToolBar(102) != NULL);
        EXPECT_EQ(damaged, testsupport::ProfileBinary("CommandBars-ControlsNotLoaded", "Controls"));
        EXPECT_EQ(0u, AfxGetApp()->GetProfileInt("CommandBars-ControlsNotLoaded", "LoadFromFile", 7));

        // An exit without a change of the player's stores the bars soundly
        // and leaves the damaged value aside.
        pBars->SaveBarState("CommandBars");
        pFrame->DestroyWindow();
        EXPECT_EQ(damaged, testsupport::ProfileBinary("CommandBars-ControlsNotLoaded", "Controls"));
        EXPECT_NE(damaged, testsupport::ProfileBinary("CommandBars-Controls", "Controls"));

        // The next start loads the built-in bars whole; the value stays aside.
        // Damaged again, the value kept first stays.
        pFrame = CreateGameFrame(TRUE);
        pFrame->GetCommandBars()->LoadBarState("CommandBars");
        EXPECT_TRUE(pFrame->GetCommandBars()->GetToolBar(102)->GetControls()->FindControl(57601) != NULL);
        EXPECT_TRUE(pFrame->GetCommandBars()->GetToolBar(1001) == NULL);
        pFrame->DestroyWindow();
        EXPECT_EQ(damaged, testsupport::ProfileBinary("CommandBars-ControlsNotLoaded", "Controls"));
        const std::vector<BYTE> garbage = {'Z', 'I', 'P', '!', 0xFF, 0x13, 0x77, 0x00, 0x42, 0x42, 0x42, 0x42};
        testsupport::WriteProfileBinary("CommandBars-Controls", "Controls", garbage);
        pFrame = CreateGameFrame(TRUE);
        pBars = pFrame->GetCommandBars();
        pBars->LoadBarState("CommandBars");
        EXPECT_EQ(damaged, testsupport::ProfileBinary("CommandBars-ControlsNotLoaded", "Controls"));

        // Showing, hiding or moving bars changes no bar's contents: the value
        // stays aside.
        pBars->ToggleVisible(pBars->FindIndex(pBars->GetToolBar(130)));
        pBars->FloatCommandBar(pBars->GetToolBar(102));
        pBars->SaveBarState("CommandBars");
        EXPECT_EQ(damaged, testsupport::ProfileBinary("CommandBars-ControlsNotLoaded", "Controls"));

        // The player makes a toolbar again: it is stored, and the value kept
        // aside goes.
        pBars->CreateCustomToolBar("Again", 1005)->GetControls()->Add(xtpControlButton, 57603)->SetCaption("Save");
        pBars->SaveBarState("CommandBars");
        pFrame->DestroyWindow();
        EXPECT_FALSE(HasSetAside());
        pFrame = CreateGameFrame(TRUE);
        pFrame->GetCommandBars()->LoadBarState("CommandBars");
        ASSERT_TRUE(pFrame->GetCommandBars()->GetToolBar(1005) != NULL);
        EXPECT_TRUE(pFrame->GetCommandBars()->GetToolBar(1005)->GetControls()->FindControl(57603) != NULL);
        pFrame->GetCommandBars()->SaveBarState("CommandBars");
        pFrame->DestroyWindow();
        EXPECT_FALSE(HasSetAside()) << "a whole load keeps nothing aside";
        app.DeleteKey();
    }
}

TEST_F(BarStateTest, StoredControlsThatCannotBeReadAsABlockAreKeptAsideAsText)
{
    // In the registry a text value where the packed block belongs; in an INI
    // file, packed letters with one that is no packed letter.
    for (int nStore = 0; nStore < 2; nStore++)
    {
        SCOPED_TRACE(nStore == 0 ? "registry" : "INI file");
        const BarStore store(nStore);
        CWinApp* pApp = AfxGetApp();

        SavePlayerBars();
        CString strText = "the player's bars, written as text";
        if (nStore == 1)
        {
            strText = pApp->GetProfileString("CommandBars-Controls", "Controls", "");
            ASSERT_GT(strText.GetLength(), 24);
            strText.SetAt(20, 'Z');
        }
        ASSERT_TRUE(pApp->WriteProfileString("CommandBars-Controls", "Controls", strText));

        CBarsFrame* pFrame = CreateGameFrame(TRUE);
        CXTPCommandBars* pBars = pFrame->GetCommandBars();
        pBars->LoadBarState("CommandBars");
        EXPECT_TRUE(pBars->GetToolBar(102) != NULL);
        EXPECT_TRUE(pBars->GetToolBar(1001) == NULL);
        EXPECT_STREQ(strText, pApp->GetProfileString("CommandBars-ControlsNotLoaded", "Controls", ""));
        EXPECT_EQ(0u, pApp->GetProfileInt("CommandBars-ControlsNotLoaded", "LoadFromFile", 7));

        // The exit stores the bars soundly and leaves the text aside.
        pBars->SaveBarState("CommandBars");
        pFrame->DestroyWindow();
        EXPECT_STREQ(strText, pApp->GetProfileString("CommandBars-ControlsNotLoaded", "Controls", ""));
        EXPECT_STRNE(strText, pApp->GetProfileString("CommandBars-Controls", "Controls", ""));
        EXPECT_FALSE(testsupport::ProfileBinary("CommandBars-Controls", "Controls").empty());

        // Until the player changes the bars.
        pFrame = CreateGameFrame(TRUE);
        pBars = pFrame->GetCommandBars();
        pBars->LoadBarState("CommandBars");
        pBars->SaveBarState("CommandBars");
        EXPECT_STREQ(strText, pApp->GetProfileString("CommandBars-ControlsNotLoaded", "Controls", ""));
        pBars->CreateCustomToolBar("Again", 1005)->GetControls()->Add(xtpControlButton, 57603)->SetCaption("Save");
        pBars->SaveBarState("CommandBars");
        pFrame->DestroyWindow();
        EXPECT_FALSE(HasSetAside());
        app.DeleteKey();
    }
}

TEST_F(BarStateTest, AControlsFileThatDoesNotLoadWholeIsCopiedAside)
{
    CString strPath = AppDataPath("CommandBars");
    ::SetFileAttributesA(strPath, FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileA(strPath);
    const CString strCopy = strPath + "-NotLoaded";
    ::SetFileAttributesA(strCopy, FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileA(strCopy);

    CBarsFrame* pFrame = CreateGameFrame(TRUE);
    FillLargeBar(pFrame->GetCommandBars());
    pFrame->GetCommandBars()->SaveBarState("CommandBars");
    pFrame->DestroyWindow();
    ASSERT_EQ(1u, app.QueryDword("CommandBars-Controls", "LoadFromFile"));
    std::string strData = testsupport::ReadFileBytes((LPCTSTR)strPath);
    ASSERT_GT(strData.size(), 16000u);
    strData[strData.size() / 2] ^= 0x01;
    ::SetFileAttributesA(strPath, FILE_ATTRIBUTE_NORMAL);
    testsupport::WriteFileBytes((LPCTSTR)strPath, strData);

    pFrame = CreateGameFrame(TRUE);
    pFrame->GetCommandBars()->LoadBarState("CommandBars");
    EXPECT_EQ(1u, app.QueryDword("CommandBars-ControlsNotLoaded", "LoadFromFile"));
    EXPECT_STREQ(strCopy, AfxGetApp()->GetProfileString("CommandBars-ControlsNotLoaded", "Controls", ""));
    EXPECT_EQ(strData, testsupport::ReadFileBytes((LPCTSTR)strCopy));
    EXPECT_TRUE(::GetFileAttributesA(strCopy) & FILE_ATTRIBUTE_HIDDEN);

    // Saved again without a change, the copy stays; after a change it goes.
    pFrame->GetCommandBars()->SaveBarState("CommandBars");
    EXPECT_EQ(strData, testsupport::ReadFileBytes((LPCTSTR)strCopy));
    pFrame->GetCommandBars()->CreateCustomToolBar("Again", 1005);
    pFrame->GetCommandBars()->SaveBarState("CommandBars");
    pFrame->DestroyWindow();
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(strCopy));
    EXPECT_EQ(0xDEADBEEF, app.QueryDword("CommandBars-ControlsNotLoaded", "LoadFromFile"));
    ::SetFileAttributesA(strPath, FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileA(strPath);
}

namespace
{
// The game's frame with its status bar (window 0xE801).
struct StatusFrame
{
    StatusFrame() : pFrame(CreateGameFrame(TRUE)), pStatus(new CXTPStatusBar)
    {
        static const UINT kIndicators[] = {ID_SEPARATOR};
        if (!pStatus->Create(pFrame, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR) ||
            !pStatus->SetIndicators(kIndicators, 1))
            ADD_FAILURE() << "the status bar is not created";
        pFrame->RecalcLayout();
    }
    ~StatusFrame()
    {
        if (::IsWindow(hFrame()))
            pFrame->DestroyWindow();
    }
    HWND hFrame() const { return pFrame->GetSafeHwnd(); }
    bool StatusShown() const { return (pStatus->GetStyle() & WS_VISIBLE) != 0; }

    CBarsFrame* pFrame;
    std::unique_ptr<CXTPStatusBar> pStatus;
};
} // namespace

TEST_F(BarStateTest, AStatusBarShownAgainIsShownAtTheNextStart)
{
    for (int nStore = 0; nStore < 2; nStore++)
    {
        SCOPED_TRACE(nStore == 0 ? "registry" : "INI file");
        const BarStore store(nStore);
        CWinApp* pApp = AfxGetApp();
        {
            StatusFrame frame;
            frame.pFrame->ShowControlBar(frame.pStatus.get(), FALSE, FALSE);
            EXPECT_TRUE(frame.pFrame->GetCommandBars()->SaveBarState("CommandBars"));
        }
        EXPECT_EQ(0u, pApp->GetProfileInt("CommandBars", "StatusBar", 7));

        // Loaded hidden, shown by the player, saved: the value goes.
        {
            StatusFrame frame;
            frame.pFrame->GetCommandBars()->LoadBarState("CommandBars");
            EXPECT_FALSE(frame.StatusShown());
            frame.pFrame->ShowControlBar(frame.pStatus.get(), TRUE, FALSE);
            EXPECT_TRUE(frame.pFrame->GetCommandBars()->SaveBarState("CommandBars"));
        }
        EXPECT_EQ(7u, pApp->GetProfileInt("CommandBars", "StatusBar", 7)) << "the hidden state is gone";
        {
            StatusFrame frame;
            frame.pFrame->GetCommandBars()->LoadBarState("CommandBars");
            EXPECT_TRUE(frame.StatusShown());
            // Saved again with nothing to delete, the save still succeeds.
            EXPECT_TRUE(frame.pFrame->GetCommandBars()->SaveBarState("CommandBars"));
        }
        EXPECT_EQ(7u, pApp->GetProfileInt("CommandBars", "StatusBar", 7));
        app.DeleteKey();
    }
}

TEST_F(BarStateTest, ASaveThatCannotBeWrittenSaysSo)
{
    // Sections whose names no registry key can take: nothing is written,
    // and the save says so.
    const std::string strKey(300, 'K');
    StatusFrame frame;
    frame.pFrame->ShowControlBar(frame.pStatus.get(), FALSE, FALSE);
    EXPECT_FALSE(frame.pFrame->GetCommandBars()->SaveBarState(strKey.c_str()));
    EXPECT_FALSE(frame.pFrame->GetCommandBars()->SaveControls(strKey.c_str(), TRUE));
    // A sound name is written whole.
    EXPECT_TRUE(frame.pFrame->GetCommandBars()->SaveBarState("CommandBars"));
}

TEST_F(BarStateTest, ADamagedLoadFromFileFlagKeepsTheStoredControls)
{
    for (int nStore = 0; nStore < 2; nStore++)
    {
        SCOPED_TRACE(nStore == 0 ? "registry" : "INI file");
        const BarStore store(nStore);
        CWinApp* pApp = AfxGetApp();

        SavePlayerBars();
        const std::vector<BYTE> stored = testsupport::ProfileBinary("CommandBars-Controls", "Controls");
        ASSERT_FALSE(stored.empty());

        // The flag 2 beside an intact block: the block still loads, and is
        // kept aside with the flag read as the block it names.
        ASSERT_TRUE(pApp->WriteProfileInt("CommandBars-Controls", "LoadFromFile", 2));
        CBarsFrame* pFrame = CreateGameFrame(TRUE);
        CXTPCommandBars* pBars = pFrame->GetCommandBars();
        pBars->LoadBarState("CommandBars");
        EXPECT_TRUE(pBars->GetToolBar(1001) != NULL) << "the player's toolbar loads";
        EXPECT_EQ(stored, testsupport::ProfileBinary("CommandBars-ControlsNotLoaded", "Controls"));
        EXPECT_EQ(0u, pApp->GetProfileInt("CommandBars-ControlsNotLoaded", "LoadFromFile", 7));

        // The exit stores the bars with a sound flag; the copy stays aside.
        EXPECT_TRUE(pBars->SaveBarState("CommandBars"));
        pFrame->DestroyWindow();
        EXPECT_EQ(0u, pApp->GetProfileInt("CommandBars-Controls", "LoadFromFile", 7));
        EXPECT_EQ(stored, testsupport::ProfileBinary("CommandBars-ControlsNotLoaded", "Controls"));
        pFrame = CreateGameFrame(TRUE);
        pFrame->GetCommandBars()->LoadBarState("CommandBars");
        EXPECT_TRUE(pFrame->GetCommandBars()->GetToolBar(1001) != NULL);
        pFrame->DestroyWindow();
        app.DeleteKey();
    }
}

TEST_F(BarStateTest, AMissingControlsFileIsKeptByNameAndNotWrittenOver)
{
    CString strPath = AppDataPath("Missing");
    ::SetFileAttributesA(strPath, FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileA(strPath);
    CBarsFrame* pFrame = CreateGameFrame(TRUE);
    FillLargeBar(pFrame->GetCommandBars());
    ASSERT_TRUE(pFrame->GetCommandBars()->SaveBarState("Missing"));
    pFrame->DestroyWindow();
    ASSERT_EQ(1u, app.QueryDword("Missing-Controls", "LoadFromFile"));
    const std::string strData = testsupport::ReadFileBytes((LPCTSTR)strPath);
    ASSERT_GT(strData.size(), 16000u);

    // The file is away (a folder not reachable): the game starts with its
    // own bars, keeps the file's name aside, and its exit does not remove
    // the file should it come back.
    const CString strAway = strPath + "-away";
    ::SetFileAttributesA(strPath, FILE_ATTRIBUTE_NORMAL);
    ASSERT_TRUE(::MoveFileA(strPath, strAway));
    pFrame = CreateGameFrame(TRUE);
    pFrame->GetCommandBars()->LoadBarState("Missing");
    EXPECT_TRUE(pFrame->GetCommandBars()->GetToolBar(1002) == NULL);
    EXPECT_EQ(1u, app.QueryDword("Missing-ControlsNotLoaded", "LoadFromFile"));
    EXPECT_STREQ(strPath, AfxGetApp()->GetProfileString("Missing-ControlsNotLoaded", "Controls", ""));
    ASSERT_TRUE(::MoveFileA(strAway, strPath));
    EXPECT_TRUE(pFrame->GetCommandBars()->SaveBarState("Missing"));
    pFrame->DestroyWindow();
    EXPECT_EQ(strData, testsupport::ReadFileBytes((LPCTSTR)strPath)) << "the file came back whole";
    EXPECT_STREQ(strPath, AfxGetApp()->GetProfileString("Missing-ControlsNotLoaded", "Controls", ""));
    ::SetFileAttributesA(strPath, FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileA(strPath);
}

TEST_F(BarStateTest, BuildingABarsAddOrRemoveListIsNoChangeOfThePlayers)
{
    // The player removed Open from the Standard bar and made "Mine"; the
    // stored state loads with a damaged flag, so it is kept aside.
    CBarsFrame* pFrame = CreatePlayerFrame();
    CXTPCommandBars* pBars = pFrame->GetCommandBars();
    pBars->GetToolBar(102)->GetControls()->CreateOriginalControls();
    pBars->GetToolBar(130)->GetControls()->CreateOriginalControls();
    CXTPControls* pStandard = pBars->GetToolBar(102)->GetControls();
    pStandard->Remove(pStandard->FindControl(57601));
    ASSERT_TRUE(pBars->SaveBarState("CommandBars"));
    pFrame->DestroyWindow();
    AfxGetApp()->WriteProfileInt("CommandBars-Controls", "LoadFromFile", 2);

    pFrame = CreateGameFrame(TRUE);
    pBars = pFrame->GetCommandBars();
    pBars->GetToolBar(102)->GetControls()->CreateOriginalControls();
    pBars->GetToolBar(130)->GetControls()->CreateOriginalControls();
    pBars->LoadBarState("CommandBars");
    ASSERT_TRUE(HasSetAside());
    CXTPToolBar* pBar = pBars->GetToolBar(102);
    ASSERT_TRUE(pBar->GetControls()->FindControl(57601) == NULL) << "the player's bar loaded";

    // The list puts Open back, hidden: that is no change of the player's.
    CXTPPopupBar* pList = CXTPPopupBar::CreatePopupBar(pBars);
    pBar->BuildCustomizePopup(pList);
    pList->InternalRelease();
    CXTPControl* pOpen = pBar->GetControls()->FindControl(57601);
    ASSERT_TRUE(pOpen != NULL);
    EXPECT_TRUE(pOpen->GetHideFlags() & xtpHideCustomize);
    EXPECT_FALSE(pBars->IsChangedSinceLoad());
    pBars->SaveBarState("CommandBars");
    EXPECT_TRUE(HasSetAside()) << "the kept copy stays";

    // Showing Open from the list is one.
    pOpen->SetHideFlag(xtpHideCustomize, FALSE);
    EXPECT_TRUE(pBars->IsChangedSinceLoad());
    pBars->SaveBarState("CommandBars");
    EXPECT_FALSE(HasSetAside());
    pFrame->DestroyWindow();
}
