// Keyboard shortcuts: key names and shortcut texts, the stored forms and their
// corrupt variants, translation, the key-chord box and the mnemonic match.
// ctest: lock registry
#include <gtest/gtest.h>

#include "XTPPropExchange.h"
#include "XTPShortcutManager.h"
#include "support/profile_app.h"

#include <string>
#include <vector>

namespace
{
const char* const kTestKey = "BrindlemarkShortcutTests";

ACCEL Accel(BYTE fVirt, WORD key, WORD cmd)
{
    ACCEL a;
    a.fVirt = fVirt;
    a.key = key;
    a.cmd = cmd;
    return a;
}

std::vector<ACCEL> Entries(HACCEL hAccel)
{
    CArray<ACCEL, ACCEL&> arr;
    XTPGetAccelEntries(hAccel, arr);
    std::vector<ACCEL> out;
    for (INT_PTR i = 0; i < arr.GetSize(); i++)
        out.push_back(arr[i]);
    return out;
}

bool Same(const std::vector<ACCEL>& a, const std::vector<ACCEL>& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); i++)
    {
        if ((a[i].fVirt & ~0x80) != (b[i].fVirt & ~0x80) || a[i].key != b[i].key || a[i].cmd != b[i].cmd)
            return false;
    }
    return true;
}

const std::vector<ACCEL> kThree = {Accel(FVIRTKEY | FCONTROL, 'O', 57601), Accel(FVIRTKEY, VK_F12, 57601),
                                   Accel(FVIRTKEY | FCONTROL | FSHIFT, VK_F5, 2001)};

class ShortcutTest : public ::testing::Test
{
protected:
    ShortcutTest() : app(kTestKey), manager(NULL) {}
    void SetUp() override
    {
        manager.LoadAccelerators(102);   // the game's accelerator resource
        ASSERT_TRUE(manager.GetOriginalAccelerator() != NULL);
    }
    void Install(const std::vector<ACCEL>& accels)
    {
        std::vector<ACCEL> copy = accels;
        manager.SetAccelerators(copy.data(), (int)copy.size());
    }
    testsupport::ProfileApp app;
    CXTPShortcutManager manager;
};
} // namespace

TEST_F(ShortcutTest, KeyNamesComeFromTheTableAndAccelTextsJoinThem)
{
    struct
    {
        UINT vk;
        const char* name;
    } rows[] = {{'0', "0"}, {'Z', "Z"}, {0x03, "Ctrl+Break"}, {0x08, "Backspace"}, {0x1B, "Esc"},
                {0x21, "Page Up"}, {0x2E, "Del"}, {0x5D, "Application"}, {0x6A, "Num *"}, {0x6F, "Num /"},
                {0x70, "F1"}, {0x7B, "F12"}, {0x60, "Num 0"}, {0x69, "Num 9"}, {0x91, "Scrl Lock"},
                {0xFE, "Oem Clear"}};
    for (const auto& row : rows)
        EXPECT_STREQ(row.name, manager.GetKeyName(row.vk)) << row.vk;

    ACCEL ctrlO = Accel(FVIRTKEY | FCONTROL, 'O', 1);
    int nPriority = 0;
    EXPECT_STREQ("Ctrl+O", manager.Format(&ctrlO, &nPriority));
    EXPECT_EQ(3, nPriority);
    ACCEL chord = Accel(FVIRTKEY | FCONTROL | FSHIFT, VK_F5, 1);
    EXPECT_STREQ("Ctrl+Shift+F5", manager.Format(&chord, NULL));
    ACCEL altX = Accel(FVIRTKEY | FALT, 'X', 1);
    EXPECT_STREQ("Alt+X", manager.Format(&altX, &nPriority));
    EXPECT_EQ(2, nPriority);
    ACCEL brk = Accel(FVIRTKEY | FCONTROL, VK_CANCEL, 1);
    EXPECT_STREQ("Ctrl+Break", manager.Format(&brk, NULL)) << "no modifier before Break";
    ACCEL chr = Accel(0, 'q', 1);
    EXPECT_STREQ("q", manager.Format(&chr, &nPriority));
    EXPECT_EQ(4, nPriority);
    ACCEL chrEsc = Accel(0, 0x1B, 1);
    EXPECT_STREQ("", manager.Format(&chrEsc, NULL));
    ACCEL modsOnly = Accel(FCONTROL | FSHIFT, 0, 0);
    EXPECT_STREQ("Ctrl+Shift", manager.Format(&modsOnly, NULL)) << "the trailing plus is dropped";
    EXPECT_STREQ("", manager.Format(NULL, &nPriority));
    EXPECT_EQ(0, nPriority);
}

TEST_F(ShortcutTest, TheMenuShowsThePlainestShortcutAndKeepsAMatchingText)
{
    Install({Accel(FVIRTKEY | FCONTROL, 'O', 100), Accel(FVIRTKEY, VK_F12, 100), Accel(FVIRTKEY | FCONTROL, 'O', 200),
             Accel(FVIRTKEY | FCONTROL, 'P', 200), Accel(FVIRTKEY | FSHIFT, 'S', 300), Accel(FVIRTKEY | FALT, 'S', 300)});
    CString str;
    EXPECT_TRUE(manager.FindDefaultAccelerator(100, str));
    EXPECT_STREQ("F12", str);
    str.Empty();
    EXPECT_TRUE(manager.FindDefaultAccelerator(200, str));
    EXPECT_STREQ("Ctrl+O", str) << "equal priority: the first in table order";
    str.Empty();
    EXPECT_TRUE(manager.FindDefaultAccelerator(300, str));
    EXPECT_STREQ("Alt+S", str);

    str = "Ctrl+P";
    EXPECT_TRUE(manager.FindDefaultAccelerator(200, str));
    EXPECT_STREQ("Ctrl+P", str) << "a text that is one of the command's shortcuts is kept";

    str = "stale";
    EXPECT_FALSE(manager.FindDefaultAccelerator(999, str));
    EXPECT_STREQ("", str);

    // With no working table but a resource table, nothing is shown.
    manager.SetAccelerators(NULL, 0);
    str.Empty();
    EXPECT_FALSE(manager.FindDefaultAccelerator(57600, str));
    manager.Reset();
    EXPECT_TRUE(manager.FindDefaultAccelerator(57600, str));
    EXPECT_STREQ("Ctrl+N", str);
}

TEST_F(ShortcutTest, ProfileValueRoundTripsAndCorruptSizesKeepTheTable)
{
    Install(kThree);
    manager.SaveShortcuts("CommandBars");
    DWORD dwType = 0;
    std::vector<BYTE> data;
    ASSERT_TRUE(app.Query("CommandBars", "Accelerators", dwType, data));
    EXPECT_EQ((DWORD)REG_BINARY, dwType);
    EXPECT_EQ(18u, data.size());

    CXTPShortcutManager loaded(NULL);
    loaded.LoadAccelerators(102);
    loaded.LoadShortcuts("CommandBars");
    EXPECT_TRUE(Same(kThree, Entries(loaded.GetAcceleratorTable())));

    // 7 and 3 bytes are no table of 6-byte records: the table in use stays.
    std::vector<BYTE> corrupt(data.begin(), data.begin() + 7);
    app.SetRaw("CommandBars", "Accelerators", REG_BINARY, corrupt.data(), 7);
    loaded.LoadShortcuts("CommandBars");
    EXPECT_TRUE(Same(kThree, Entries(loaded.GetAcceleratorTable())));
    app.SetRaw("CommandBars", "Accelerators", REG_BINARY, corrupt.data(), 3);
    loaded.LoadShortcuts("CommandBars");
    EXPECT_TRUE(Same(kThree, Entries(loaded.GetAcceleratorTable())));

    // A value of the wrong type is no table either.
    app.SetRaw("CommandBars", "Accelerators", REG_SZ, "abcdef", 7);
    loaded.LoadShortcuts("CommandBars");
    EXPECT_TRUE(Same(kThree, Entries(loaded.GetAcceleratorTable())));

    // 0 bytes is an empty table, saved when the user removed every shortcut.
    app.SetRaw("CommandBars", "Accelerators", REG_BINARY, "", 0);
    loaded.LoadShortcuts("CommandBars");
    EXPECT_EQ(NULL, loaded.GetAcceleratorTable());
    loaded.SaveShortcuts("CommandBars");
    ASSERT_TRUE(app.Query("CommandBars", "Accelerators", dwType, data));
    EXPECT_EQ(0u, data.size());

    // Without a resource table nothing is saved or loaded.
    CXTPShortcutManager none(NULL);
    none.LoadAccelerators(4321);
    EXPECT_EQ(NULL, none.GetOriginalAccelerator());
    app.DeleteKey();
    none.SaveShortcuts("CommandBars");
    EXPECT_FALSE(app.Exists("CommandBars", "Accelerators"));
}

TEST_F(ShortcutTest, RegistryExchangeWritesCountAndDataAndBoundsALyingCount)
{
    Install(kThree);
    {
        CXTPPropExchangeSection px(FALSE, "Keys");
        manager.DoPropExchange(px);
    }
    EXPECT_EQ(3u, app.QueryDword("Keys", "Count"));
    DWORD dwType = 0;
    std::vector<BYTE> data;
    ASSERT_TRUE(app.Query("Keys", "Data", dwType, data));
    EXPECT_EQ(18u, data.size());

    CXTPShortcutManager loaded(NULL);
    {
        CXTPPropExchangeSection px(TRUE, "Keys");
        loaded.DoPropExchange(px);
    }
    EXPECT_TRUE(Same(kThree, Entries(loaded.GetAcceleratorTable())));

    // A count beyond the blob reads only what the blob holds.
    DWORD dwLie = 100;
    app.SetRaw("Keys", "Count", REG_DWORD, &dwLie, 4);
    CXTPShortcutManager bounded(NULL);
    {
        CXTPPropExchangeSection px(TRUE, "Keys");
        bounded.DoPropExchange(px);
    }
    EXPECT_TRUE(Same(kThree, Entries(bounded.GetAcceleratorTable())));

    // A blob that is no whole number of records leaves the table alone.
    app.SetRaw("Keys", "Data", REG_BINARY, data.data(), 17);
    {
        CXTPPropExchangeSection px(TRUE, "Keys");
        bounded.DoPropExchange(px);
    }
    EXPECT_TRUE(Same(kThree, Entries(bounded.GetAcceleratorTable())));
}

TEST_F(ShortcutTest, ArchiveExchangeRoundTripsAndRefusesATruncatedArchive)
{
    Install(kThree);
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        CXTPPropExchangeArchive px(ar);
        manager.DoPropExchange(&px);
        ar.Close();
    }
    ULONGLONG nLength = file.GetLength();
    file.SeekToBegin();
    CXTPShortcutManager loaded(NULL);
    {
        CArchive ar(&file, CArchive::load);
        CXTPPropExchangeArchive px(ar);
        loaded.DoPropExchange(&px);
        ar.Close();
    }
    EXPECT_TRUE(Same(kThree, Entries(loaded.GetAcceleratorTable())));

    // The same archive cut short: the count promises more than is there.
    file.SetLength(nLength - 4);
    file.SeekToBegin();
    Install({Accel(FVIRTKEY, VK_F1, 1)});
    {
        CArchive ar(&file, CArchive::load);
        CXTPPropExchangeArchive px(ar);
        manager.DoPropExchange(&px);
        ar.Close();
    }
    EXPECT_TRUE(Same({Accel(FVIRTKEY, VK_F1, 1)}, Entries(manager.GetAcceleratorTable())));
}

TEST_F(ShortcutTest, IniExchangeWritesOneSectionPerShortcut)
{
    char szDir[MAX_PATH], szFile[MAX_PATH];
    ::GetTempPathA(MAX_PATH, szDir);
    ::GetTempFileNameA(szDir, "acc", 0, szFile);

    Install(kThree);
    {
        CXTPPropExchangeIniFile* pPX = new CXTPPropExchangeIniFile(FALSE, NULL, "Keys");
        pPX->SetFileName(szFile);
        CXTPPropExchangeSection px(pPX);
        manager.DoPropExchange(px);
    }
    char sz[64];
    ::GetPrivateProfileStringA("Keys\\Accel1", "key", "", sz, sizeof(sz), szFile);
    EXPECT_STREQ("123", sz) << "F12";
    ::GetPrivateProfileStringA("Keys\\Accel2", "Id", "", sz, sizeof(sz), szFile);
    EXPECT_STREQ("2001", sz);
    ::GetPrivateProfileStringA("Keys\\Accel2", "virt", "", sz, sizeof(sz), szFile);
    EXPECT_STREQ("13", sz);

    CXTPShortcutManager loaded(NULL);
    {
        CXTPPropExchangeIniFile* pPX = new CXTPPropExchangeIniFile(TRUE, NULL, "Keys");
        pPX->SetFileName(szFile);
        CXTPPropExchangeSection px(pPX);
        loaded.DoPropExchange(px);
    }
    EXPECT_TRUE(Same(kThree, Entries(loaded.GetAcceleratorTable())));

    // A count of a million over three sections stops at the first missing one.
    ::WritePrivateProfileStringA("Keys", "Count", "1000000", szFile);
    CXTPShortcutManager bounded(NULL);
    {
        CXTPPropExchangeIniFile* pPX = new CXTPPropExchangeIniFile(TRUE, NULL, "Keys");
        pPX->SetFileName(szFile);
        CXTPPropExchangeSection px(pPX);
        bounded.DoPropExchange(px);
    }
    EXPECT_TRUE(Same(kThree, Entries(bounded.GetAcceleratorTable())));
    ::DeleteFileA(szFile);
}

namespace
{
int g_nCommand = 0;
LRESULT CALLBACK CommandWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg == WM_COMMAND)
        g_nCommand = LOWORD(wParam);
    return ::DefWindowProcA(hWnd, nMsg, wParam, lParam);
}

void SetKeys(std::initializer_list<int> down)
{
    BYTE state[256] = {0};
    for (int vk : down)
        state[vk] = 0x80;
    ::SetKeyboardState(state);
}
} // namespace

TEST_F(ShortcutTest, TranslationIsOffWhileShortcutsAreDisabled)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = CommandWndProc;
    wc.hInstance = ::GetModuleHandleA(NULL);
    wc.lpszClassName = "ShortcutTarget";
    ::RegisterClassA(&wc);
    HWND hWnd = ::CreateWindowA("ShortcutTarget", "", WS_POPUP, 0, 0, 10, 10, NULL, NULL, wc.hInstance, NULL);

    manager.Reset();   // Ctrl+N = 57600
    SetKeys({VK_CONTROL});
    MSG msg = {hWnd, WM_KEYDOWN, 'N', 0x00310001, 0, {0, 0}};
    g_nCommand = 0;
    EXPECT_TRUE(manager.TranslateAccelerator(hWnd, &msg));
    EXPECT_EQ(57600, g_nCommand);

    manager.DisableShortcuts(TRUE);   // print preview begins
    g_nCommand = 0;
    EXPECT_FALSE(manager.TranslateAccelerator(hWnd, &msg));
    EXPECT_EQ(0, g_nCommand);
    manager.DisableShortcuts(FALSE);
    EXPECT_TRUE(manager.TranslateAccelerator(hWnd, &msg));

    manager.SetAccelerators(NULL, 0);
    EXPECT_FALSE(manager.TranslateAccelerator(hWnd, &msg));
    SetKeys({});
    ::DestroyWindow(hWnd);
}

TEST_F(ShortcutTest, KeyAssignBoxBuildsTheChordAsKeysGoDown)
{
    HWND hParent = ::CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 200, 50, NULL, NULL, NULL, NULL);
    CXTPShortcutManager::CKeyAssign box(&manager);
    ASSERT_TRUE(box.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 150, 20), CWnd::FromHandle(hParent), 1));

    auto Key = [&](UINT nMsg, UINT vk, bool bRepeat, std::initializer_list<int> down) {
        SetKeys(down);
        MSG msg = {box.m_hWnd, nMsg, vk, bRepeat ? 0x40000001 : 1, 0, {0, 0}};
        return box.PreTranslateMessage(&msg);
    };
    auto Text = [&]() {
        CString str;
        box.GetWindowText(str);
        return std::string((LPCTSTR)str);
    };

    EXPECT_TRUE(Key(WM_KEYDOWN, VK_CONTROL, false, {VK_CONTROL}));
    EXPECT_EQ("Ctrl", Text());
    EXPECT_TRUE(Key(WM_KEYDOWN, VK_CONTROL, true, {VK_CONTROL}));
    EXPECT_TRUE(Key(WM_KEYDOWN, VK_SHIFT, false, {VK_CONTROL, VK_SHIFT}));
    EXPECT_EQ("Ctrl+Shift", Text());
    EXPECT_TRUE(Key(WM_KEYDOWN, VK_F5, false, {VK_CONTROL, VK_SHIFT, VK_F5}));
    EXPECT_EQ("Ctrl+Shift+F5", Text());
    EXPECT_TRUE(box.IsKeyDefined());
    EXPECT_EQ(VK_F5, box.GetAccel()->key);
    EXPECT_TRUE(Key(WM_KEYUP, VK_F5, false, {VK_CONTROL, VK_SHIFT}));
    EXPECT_TRUE(Key(WM_KEYUP, VK_SHIFT, false, {VK_CONTROL}));
    EXPECT_TRUE(Key(WM_KEYUP, VK_CONTROL, false, {}));
    EXPECT_EQ("Ctrl+Shift+F5", Text()) << "releasing the keys leaves the chord";

    // A bare Escape is refused and clears the box; Tab still moves the focus.
    EXPECT_TRUE(Key(WM_KEYDOWN, VK_ESCAPE, false, {}));
    EXPECT_EQ("", Text());
    EXPECT_FALSE(box.IsKeyDefined());
    EXPECT_FALSE(Key(WM_KEYDOWN, VK_TAB, false, {}));

    manager.SetAllowEscapeShortcut(TRUE);
    EXPECT_TRUE(Key(WM_KEYDOWN, VK_ESCAPE, false, {}));
    EXPECT_EQ("Esc", Text());
    SetKeys({});
    box.DestroyWindow();
    ::DestroyWindow(hParent);
}

TEST(CompareAccelKeyTest, MatchesTheMnemonicLetterOfTheKey)
{
    EXPECT_TRUE(CXTPShortcutManager::CompareAccelKey('F', 'F'));
    EXPECT_TRUE(CXTPShortcutManager::CompareAccelKey('f', 'F'));
    EXPECT_TRUE(CXTPShortcutManager::CompareAccelKey('7', '7'));
    EXPECT_FALSE(CXTPShortcutManager::CompareAccelKey('G', 'F'));
    EXPECT_FALSE(CXTPShortcutManager::CompareAccelKey('p', VK_F1)) << "F1 has no character, though 'p' is 0x70";
}
