// The Keyboard customize page in a plain property sheet over the game's
// menu and accelerators: its categories and commands, the key box, assigning
// with and without a clash, removing, resetting, and the stored table.
// ctest: lock registry
#include <gtest/gtest.h>

#include "XTPCustomizeKeyboardPage.h"
#include "XTPResourceManager.h"
#include "support/bars_frame.h"
#include "support/profile_app.h"
#include "support/snapshot.h"
#include "customize_editor_res.h"

#include <string>
#include <vector>

using testsupport::CBarsFrame;

namespace
{
const char* const kTestKey = "BrindlemarkKeyboardPageTests";
const int kSavePuzzle = 2003;
const int kFileOpen = 57601;

// Message boxes are answered by the test and recorded.
struct MessageBoxRecord
{
    std::vector<std::string> texts;
    std::vector<UINT> types;
    int nAnswer = IDNO;
};
MessageBoxRecord& Boxes()
{
    static MessageBoxRecord s_record;
    return s_record;
}
int AFXAPI AnswerMessageBox(LPCTSTR lpszText, UINT nType, UINT)
{
    Boxes().texts.push_back(lpszText);
    Boxes().types.push_back(nType);
    return Boxes().nAnswer;
}

void SetKeys(std::initializer_list<int> down)
{
    BYTE state[256] = {0};
    for (int vk : down)
        state[vk] = 0x80;
    ::SetKeyboardState(state);
}

std::string LoadText(UINT nID)
{
    CString str;
    XTPResourceManager()->LoadString(&str, nID);
    return (LPCTSTR)str;
}

class KeyboardPageTest : public ::testing::Test
{
protected:
    KeyboardPageTest() : app(kTestKey) {}
    void SetUp() override
    {
        Boxes() = MessageBoxRecord();
        m_pfnOldHook = AfxSetMessageBoxHook(&AnswerMessageBox);
        pFrame = CBarsFrame::Create();
        ASSERT_TRUE(pFrame != NULL);
        pManager = pFrame->GetCommandBars()->GetShortcutManager();
        pManager->LoadAccelerators(102);
        ASSERT_EQ(14, Count());
        pPage = new CXTPCustomizeKeyboardPage(pFrame->GetCommandBars());
    }
    void TearDown() override
    {
        SetKeys({});
        if (pSheet != NULL)
        {
            pSheet->DestroyWindow();
            delete pSheet;
        }
        delete pPage;
        pFrame->DestroyWindow();
        AfxSetMessageBoxHook(m_pfnOldHook);
    }

    // Shows the page in a modeless sheet, on the category of the caption.
    void Open(LPCTSTR lpszCategory = "File")
    {
        pSheet = new CPropertySheet("Customize", pFrame);
        pSheet->AddPage(pPage);
        ASSERT_TRUE(pSheet->Create(pFrame, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME));
        ASSERT_TRUE(pPage->GetSafeHwnd() != NULL);
        int nIndex = pPage->m_comboCategory.FindStringExact(-1, lpszCategory);
        ASSERT_NE(CB_ERR, nIndex) << lpszCategory;
        pPage->m_comboCategory.SetCurSel(nIndex);
        pPage->SendMessage(WM_COMMAND, MAKEWPARAM(XTP_IDC_KEYBOARD_CATEGORY, CBN_SELCHANGE),
                           (LPARAM)pPage->m_comboCategory.m_hWnd);
    }
    void SelectCommand(LPCTSTR lpszCaption)
    {
        int nIndex = pPage->m_lboxCommands.FindStringExact(-1, lpszCaption);
        ASSERT_NE(LB_ERR, nIndex) << lpszCaption;
        pPage->m_lboxCommands.SetCurSel(nIndex);
        pPage->SendMessage(WM_COMMAND, MAKEWPARAM(XTP_IDC_KEYBOARD_COMMANDS, LBN_SELCHANGE),
                           (LPARAM)pPage->m_lboxCommands.m_hWnd);
    }
    // A key going down (or up) in the key box with the given keys held.
    void Key(UINT nMsg, UINT vk, std::initializer_list<int> down)
    {
        SetKeys(down);
        MSG msg = {pPage->m_editShortcutKey.m_hWnd, nMsg, vk, 1, 0, {0, 0}};
        EXPECT_TRUE(pPage->m_editShortcutKey.PreTranslateMessage(&msg));
    }
    void PressChord(UINT vk, std::initializer_list<int> modifiers)
    {
        std::vector<int> held;
        for (int m : modifiers)
        {
            held.push_back(m);
            SetKeys({});
            Key(WM_KEYDOWN, (UINT)m, {});
        }
        BYTE state[256] = {0};
        for (int m : modifiers)
            state[m] = 0x80;
        state[vk] = 0x80;
        ::SetKeyboardState(state);
        MSG msg = {pPage->m_editShortcutKey.m_hWnd, WM_KEYDOWN, vk, 1, 0, {0, 0}};
        pPage->m_editShortcutKey.PreTranslateMessage(&msg);
        SetKeys({});
    }
    std::string KeyBoxText() const
    {
        CString str;
        pPage->m_editShortcutKey.GetWindowText(str);
        return (LPCTSTR)str;
    }
    static std::vector<std::string> Items(const CListBox& list)
    {
        std::vector<std::string> out;
        for (int i = 0; i < list.GetCount(); i++)
        {
            CString str;
            list.GetText(i, str);
            out.push_back((LPCTSTR)str);
        }
        return out;
    }
    std::vector<std::string> KeyList() const { return Items(pPage->m_lboxKeys); }
    // The keys list's item data: each key's index in the working table.
    std::vector<DWORD_PTR> KeyData() const
    {
        std::vector<DWORD_PTR> out;
        for (int i = 0; i < pPage->m_lboxKeys.GetCount(); i++)
            out.push_back(pPage->m_lboxKeys.GetItemData(i));
        return out;
    }
    std::vector<std::string> CommandList() const { return Items(pPage->m_lboxCommands); }
    BOOL IsEnabled(int nID) const { return pPage->GetDlgItem(nID)->IsWindowEnabled(); }
    std::vector<ACCEL> Table() const
    {
        CArray<ACCEL, ACCEL&> arr;
        XTPGetAccelEntries(pManager->GetAcceleratorTable(), arr);
        std::vector<ACCEL> out;
        for (INT_PTR i = 0; i < arr.GetSize(); i++)
            out.push_back(arr[i]);
        return out;
    }
    int Count() const { return (int)Table().size(); }
    std::string ShortcutOf(int nCmd) const
    {
        CString str;
        if (!pManager->FindDefaultAccelerator((UINT)nCmd, str))
            return "";
        return (LPCTSTR)str;
    }

    testsupport::ProfileApp app;
    CBarsFrame* pFrame = NULL;
    CXTPShortcutManager* pManager = NULL;
    CXTPCustomizeKeyboardPage* pPage = NULL;
    CPropertySheet* pSheet = NULL;
    AFX_MSGBOX_HOOK m_pfnOldHook = NULL;
};
} // namespace

TEST_F(KeyboardPageTest, CategoriesComeFromTheMenuAndListNoPopups)
{
    ASSERT_TRUE(pPage->AddCategories(102));
    EXPECT_FALSE(pPage->AddCategories(4321)) << "a missing menu adds nothing";
    ASSERT_GE(pPage->GetCategoryCount(), 2);
    EXPECT_EQ(std::string("File"), (LPCTSTR)pPage->GetCategoryInfo(0)->strCategory);
    EXPECT_EQ(std::string("Edit"), (LPCTSTR)pPage->GetCategoryInfo(1)->strCategory);
    EXPECT_TRUE(pPage->GetCategoryInfo(-1) == NULL);
    EXPECT_TRUE(pPage->GetCategoryInfo(pPage->GetCategoryCount()) == NULL);
    EXPECT_TRUE(pPage->FindCategory("file") == NULL) << "captions compare exactly";

    // The same menu again fills the existing categories instead of adding.
    const int nCategories = pPage->GetCategoryCount();
    const int nFileControls = pPage->FindCategory("File")->pControls->GetCount();
    ASSERT_TRUE(pPage->AddCategories(102));
    EXPECT_EQ(nCategories, pPage->GetCategoryCount());
    EXPECT_EQ(2 * nFileControls, pPage->FindCategory("File")->pControls->GetCount());

    Open("File");
    std::vector<std::string> commands = CommandList();
    ASSERT_FALSE(commands.empty());
    ASSERT_GE(commands.size(), 2u);
    EXPECT_EQ("Enter Own Puzzle...", commands[0]) << "the popup \"New\" is left out";
    EXPECT_EQ("Load Puzzle...", commands[1]);
    for (const std::string& s : commands)
    {
        EXPECT_NE("New", s);
        EXPECT_NE("Save Puzzle Image", s);
    }
    EXPECT_EQ(0, pPage->m_lboxCommands.GetCurSel());
}

TEST_F(KeyboardPageTest, SubItemsAreListedUnderTheirPopupsCaption)
{
    ASSERT_TRUE(pPage->AddCategories(102, TRUE));
    XTP_COMMANDBARS_CATEGORYINFO* pFile = pPage->FindCategory("File");
    ASSERT_TRUE(pFile != NULL);
    bool bFound = false;
    for (int i = 0; i < pFile->pControls->GetCount(); i++)
    {
        CXTPControl* pControl = pFile->pControls->GetAt(i);
        if (pControl->GetID() == 2001)
        {
            EXPECT_EQ(std::string("&New | &Puzzle"), (LPCTSTR)pControl->GetCaption());
            bFound = true;
        }
    }
    EXPECT_TRUE(bFound);
}

TEST_F(KeyboardPageTest, RecentFilesPopupsAndSeparatorsAreNotCommands)
{
    XTP_COMMANDBARS_CATEGORYINFO* pInfo = pPage->AddCategory("Mixed");
    pInfo->pControls->Add(xtpControlButton, 2003)->SetCaption("&Save");
    pInfo->pControls->Add(xtpControlButton, 57616)->SetCaption("1 recent");
    pInfo->pControls->Add(xtpControlButton, 57631)->SetCaption("16 recent");
    pInfo->pControls->Add(xtpControlPopup, 5000)->SetCaption("Popup");
    pInfo->pControls->Add(xtpControlButtonPopup, 5001)->SetCaption("Button popup");
    pInfo->pControls->Add(xtpControlButton, 0)->SetCaption("No id");
    pInfo->pControls->Add(xtpControlButton, 57632)->SetCaption("After the recent files");
    pInfo->pControls->Add(xtpControlButton, 2010)->SetCaption("Fish && &Chips");
    Open("Mixed");
    EXPECT_EQ((std::vector<std::string>{"Save", "After the recent files", "Fish & Chips"}), CommandList());
}

TEST_F(KeyboardPageTest, TheKeyBoxShowsTheChordAsKeysGoDownAndEscapeEmptiesIt)
{
    ASSERT_TRUE(pPage->AddCategories(102));
    Open("File");
    SelectCommand("Save Puzzle...");
    EXPECT_FALSE(IsEnabled(XTP_IDC_KEYBOARD_ASSIGN));

    Key(WM_KEYDOWN, VK_CONTROL, {VK_CONTROL});
    EXPECT_EQ("Ctrl", KeyBoxText());
    EXPECT_FALSE(IsEnabled(XTP_IDC_KEYBOARD_ASSIGN)) << "modifiers alone are no chord";
    Key(WM_KEYDOWN, VK_SHIFT, {VK_CONTROL, VK_SHIFT});
    EXPECT_EQ("Ctrl+Shift", KeyBoxText());
    Key(WM_KEYDOWN, VK_F5, {VK_CONTROL, VK_SHIFT, VK_F5});
    EXPECT_EQ("Ctrl+Shift+F5", KeyBoxText());
    EXPECT_TRUE(IsEnabled(XTP_IDC_KEYBOARD_ASSIGN));

    Key(WM_KEYDOWN, VK_ESCAPE, {});
    EXPECT_EQ("", KeyBoxText());
    EXPECT_FALSE(IsEnabled(XTP_IDC_KEYBOARD_ASSIGN));
}

TEST_F(KeyboardPageTest, AssignedShortcutIsStoredAsTheLastRecordAndReadBack)
{
    ASSERT_TRUE(pPage->AddCategories(102));
    Open("File");
    SelectCommand("Save Puzzle...");
    EXPECT_TRUE(KeyList().empty());
    EXPECT_FALSE(IsEnabled(XTP_IDC_KEYBOARD_REMOVE));

    PressChord(VK_F5, {VK_CONTROL, VK_SHIFT});
    ASSERT_EQ("Ctrl+Shift+F5", KeyBoxText());
    pPage->SendMessage(WM_COMMAND, MAKEWPARAM(XTP_IDC_KEYBOARD_ASSIGN, BN_CLICKED),
                       (LPARAM)pPage->GetDlgItem(XTP_IDC_KEYBOARD_ASSIGN)->m_hWnd);
    EXPECT_TRUE(Boxes().texts.empty()) << "a free chord is assigned without asking";
    EXPECT_EQ((std::vector<std::string>{"Ctrl+Shift+F5"}), KeyList());
    EXPECT_EQ("", KeyBoxText()) << "the key box is emptied after assigning";
    EXPECT_FALSE(IsEnabled(XTP_IDC_KEYBOARD_ASSIGN));
    ASSERT_EQ(15, Count());

    pManager->SaveShortcuts("CommandBars");
    DWORD dwType = 0;
    std::vector<BYTE> data;
    ASSERT_TRUE(app.Query("CommandBars", "Accelerators", dwType, data));
    EXPECT_EQ((DWORD)REG_BINARY, dwType);
    ASSERT_EQ(90u, data.size());
    const BYTE* pLast = data.data() + 84;
    EXPECT_EQ(0x0D, pLast[0]);
    EXPECT_EQ(0x0074, pLast[2] | (pLast[3] << 8));
    EXPECT_EQ(kSavePuzzle, pLast[4] | (pLast[5] << 8));

    // A later start reads the table back: the menu shows the shortcut.
    CXTPShortcutManager restarted(NULL);
    restarted.LoadAccelerators(102);
    restarted.LoadShortcuts("CommandBars");
    CString strShortcut;
    ASSERT_TRUE(restarted.FindDefaultAccelerator(kSavePuzzle, strShortcut));
    EXPECT_EQ(std::string("Ctrl+Shift+F5"), (LPCTSTR)strShortcut);
}

TEST_F(KeyboardPageTest, AChordHeldByAnotherCommandIsOnlyTakenAfterYes)
{
    ASSERT_TRUE(pPage->AddCategories(102));
    Open("File");
    SelectCommand("Save Puzzle...");
    const std::vector<ACCEL> before = Table();
    ASSERT_EQ("Ctrl+O", ShortcutOf(kFileOpen));

    // The resource's Ctrl+O carries FNOINVERT, the typed chord does not:
    // they still count as the same chord.
    PressChord('O', {VK_CONTROL});
    ASSERT_EQ("Ctrl+O", KeyBoxText());
    Boxes().nAnswer = IDNO;
    pPage->AssignShortcut();
    ASSERT_EQ(1u, Boxes().texts.size());
    EXPECT_EQ(LoadText(XTP_IDS_CONFIRM_REASSIGN), Boxes().texts[0]);
    EXPECT_EQ((UINT)(MB_YESNO | MB_ICONEXCLAMATION), Boxes().types[0]);
    ASSERT_EQ(before.size(), Table().size());
    for (size_t i = 0; i < before.size(); i++)
        EXPECT_TRUE(before[i].cmd == Table()[i].cmd && before[i].key == Table()[i].key) << i;
    EXPECT_EQ("Ctrl+O", KeyBoxText()) << "No leaves the key box as it was";
    EXPECT_TRUE(KeyList().empty());
    EXPECT_EQ("Ctrl+O", ShortcutOf(kFileOpen));

    Boxes().nAnswer = IDYES;
    pPage->AssignShortcut();
    EXPECT_EQ(2u, Boxes().texts.size());
    EXPECT_EQ(14, Count()) << "the clashing entry is replaced, not added";
    EXPECT_EQ("", ShortcutOf(kFileOpen));
    EXPECT_EQ("Ctrl+O", ShortcutOf(kSavePuzzle));
    EXPECT_EQ((std::vector<std::string>{"Ctrl+O"}), KeyList());
}

TEST_F(KeyboardPageTest, RemovingMovesTheLastEntryIntoThePlace)
{
    ASSERT_TRUE(pPage->AddCategories(102));
    Open("File");
    SelectCommand("Load Puzzle...");
    ASSERT_EQ((std::vector<std::string>{"Ctrl+O"}), KeyList());
    std::vector<ACCEL> before = Table();
    size_t nOpen = 0;
    while (nOpen < before.size() && before[nOpen].cmd != kFileOpen)
        nOpen++;
    ASSERT_LT(nOpen, before.size() - 1);

    pPage->m_lboxKeys.SetCurSel(0);
    pPage->SendMessage(WM_COMMAND, MAKEWPARAM(XTP_IDC_KEYBOARD_KEYS, LBN_SELCHANGE), (LPARAM)pPage->m_lboxKeys.m_hWnd);
    EXPECT_TRUE(IsEnabled(XTP_IDC_KEYBOARD_REMOVE));
    pPage->RemoveShortcut();
    std::vector<ACCEL> after = Table();
    ASSERT_EQ(before.size() - 1, after.size());
    EXPECT_EQ(before.back().cmd, after[nOpen].cmd);
    EXPECT_EQ(before.back().key, after[nOpen].key);
    EXPECT_TRUE(KeyList().empty());
    EXPECT_FALSE(IsEnabled(XTP_IDC_KEYBOARD_REMOVE));
}

TEST_F(KeyboardPageTest, ResetAllAsksAndRestoresTheResourceTable)
{
    ASSERT_TRUE(pPage->AddCategories(102));
    Open("File");
    SelectCommand("Save Puzzle...");
    PressChord(VK_F5, {VK_CONTROL, VK_SHIFT});
    pPage->AssignShortcut();
    ASSERT_EQ(15, Count());

    Boxes().nAnswer = IDNO;
    pPage->ResetAllShortcuts();
    ASSERT_EQ(1u, Boxes().texts.size());
    EXPECT_EQ(LoadText(XTP_IDS_CONFIRM_KEYBOARD), Boxes().texts[0]);
    EXPECT_EQ((UINT)(MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2), Boxes().types[0]);
    EXPECT_EQ(15, Count()) << "No keeps the changes";

    Boxes().nAnswer = IDYES;
    pPage->ResetAllShortcuts();
    EXPECT_EQ(14, Count());
    EXPECT_EQ("", ShortcutOf(kSavePuzzle));
    EXPECT_TRUE(KeyList().empty());
    CArray<ACCEL, ACCEL&> original;
    XTPGetAccelEntries(pManager->GetOriginalAccelerator(), original);
    std::vector<ACCEL> now = Table();
    ASSERT_EQ((size_t)original.GetSize(), now.size());
    for (size_t i = 0; i < now.size(); i++)
        EXPECT_TRUE(now[i].cmd == original[(INT_PTR)i].cmd && now[i].key == original[(INT_PTR)i].key) << i;
}

TEST_F(KeyboardPageTest, RemovingTheOnlyShortcutLeavesNoTableUntilReset)
{
    ACCEL one = {FVIRTKEY | FCONTROL, 'O', (WORD)kFileOpen};
    pManager->SetAccelerators(&one, 1);
    ASSERT_TRUE(pPage->AddCategories(102));
    Open("File");
    SelectCommand("Load Puzzle...");
    ASSERT_EQ((std::vector<std::string>{"Ctrl+O"}), KeyList());
    pPage->m_lboxKeys.SetCurSel(0);
    pPage->RemoveShortcut();
    EXPECT_TRUE(pManager->GetAcceleratorTable() == NULL);
    EXPECT_TRUE(KeyList().empty());

    // Assigning into no table starts a new one.
    PressChord(VK_F12, {});
    pPage->AssignShortcut();
    EXPECT_EQ(1, Count());
    EXPECT_EQ((std::vector<std::string>{"F12"}), KeyList());
}

TEST_F(KeyboardPageTest, ComingBackToThePageShowsTheKeysOfTheSelectedCommand)
{
    ASSERT_TRUE(pPage->AddCategories(102));
    CXTPCustomizeKeyboardPage other(pFrame->GetCommandBars());
    ASSERT_TRUE(other.AddCategories(102));
    pSheet = new CPropertySheet("Customize", pFrame);
    pSheet->AddPage(pPage);
    pSheet->AddPage(&other);
    ASSERT_TRUE(pSheet->Create(pFrame, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME));
    // The first command, Enter Own Puzzle..., is given F12.
    SelectCommand("Enter Own Puzzle...");
    ASSERT_EQ(0, pPage->m_lboxCommands.GetCurSel());
    PressChord(VK_F12, {});
    pPage->AssignShortcut();
    EXPECT_EQ((std::vector<std::string>{"F12"}), KeyList());
    SelectCommand("Save Puzzle...");
    EXPECT_TRUE(KeyList().empty());
    ASSERT_TRUE(pSheet->SetActivePage(1));
    ASSERT_TRUE(pSheet->SetActivePage(0));
    ASSERT_EQ(0, pPage->m_lboxCommands.GetCurSel()) << "the first command is selected again";
    EXPECT_EQ((std::vector<std::string>{"F12"}), KeyList()) << "and its keys are shown";
    pSheet->DestroyWindow();
    EXPECT_TRUE(pPage->m_lboxKeys.m_hWnd == NULL) << "the keys list is let go with the page";
    delete pSheet;
    pSheet = NULL;
}

TEST_F(KeyboardPageTest, SnapshotOfThePage)
{
    ASSERT_TRUE(pPage->AddCategories(102));
    Open("File");
    SelectCommand("Load Puzzle...");
    PressChord(VK_F5, {VK_CONTROL, VK_SHIFT});
    pSheet->ShowWindow(SW_SHOWNA);
    pSheet->UpdateWindow();
    std::string strPath = testsupport::SaveWindowSnapshot(pSheet->m_hWnd, "keyboard_page");
    EXPECT_FALSE(strPath.empty());
}

TEST_F(KeyboardPageTest, TheLargestTableListsEveryKeyOfTheCommandInTableOrder)
{
    // 32,768 shortcuts, the most a stored table holds: every 97th for Load
    // Puzzle (each a different chord), the others for commands not listed.
    std::vector<ACCEL> table(CXTPShortcutManager::nMaxStoredAccels);
    std::vector<std::string> expected;
    std::vector<int> indexes;
    for (int i = 0; i < (int)table.size(); i++)
    {
        ACCEL& accel = table[(size_t)i];
        accel.fVirt = (BYTE)(FVIRTKEY | ((i / 26 % 8) << 2));   // Shift, Ctrl and Alt in every mix
        accel.key = (WORD)('A' + i % 26);
        accel.cmd = i % 97 == 0 ? (WORD)kFileOpen : (WORD)(40000 + i % 1000);
        if (accel.cmd == kFileOpen)
        {
            expected.push_back((LPCTSTR)pManager->Format(&accel));
            indexes.push_back(i);
        }
    }
    pManager->SetAccelerators(table.data(), (int)table.size());
    ASSERT_EQ((int)table.size(), Count());
    ASSERT_TRUE(pPage->AddCategories(102));
    Open("File");
    SelectCommand("Load Puzzle...");
    ASSERT_EQ(expected, KeyList());
    EXPECT_EQ("Ctrl+Alt+Y", KeyList()[4]) << "entry 388";
    EXPECT_EQ(std::vector<DWORD_PTR>(indexes.begin(), indexes.end()), KeyData());
    SelectCommand("Save Puzzle...");
    EXPECT_TRUE(KeyList().empty());

    // Removing a key in the middle: the table's last entry (not Load
    // Puzzle's) takes its place, so the list loses just that key.
    SelectCommand("Load Puzzle...");
    pPage->m_lboxKeys.SetCurSel(100);
    pPage->RemoveShortcut();
    expected.erase(expected.begin() + 100);
    EXPECT_EQ(expected, KeyList());
    EXPECT_EQ((int)table.size() - 1, Count());
    // The entry removed is the one the 101st key stands for.
    const std::vector<ACCEL> after = Table();
    ASSERT_EQ(table.size() - 1, after.size());
    EXPECT_EQ(table.back().cmd, after[(size_t)indexes[100]].cmd);
    EXPECT_EQ(table.back().key, after[(size_t)indexes[100]].key);
    EXPECT_EQ(table.back().fVirt, after[(size_t)indexes[100]].fVirt);
    indexes.erase(indexes.begin() + 100);
    EXPECT_EQ(std::vector<DWORD_PTR>(indexes.begin(), indexes.end()), KeyData());

    // The list paints its keys once it is filled (its redraw is back on).
    pSheet->ShowWindow(SW_SHOWNA);
    CRect rc;
    pPage->m_lboxKeys.GetClientRect(&rc);
    testsupport::Canvas canvas(rc.Width(), rc.Height(), RGB(1, 2, 3));
    pPage->m_lboxKeys.SendMessage(WM_PRINTCLIENT, (WPARAM)canvas.Handle(), PRF_CLIENT | PRF_ERASEBKGND);
    int nText = 0, nUnpainted = 0;
    for (int y = 0; y < canvas.Height(); y++)
        for (int x = 0; x < canvas.Width(); x++)
        {
            const COLORREF clr = canvas.Pixel(x, y);
            nText += GetRValue(clr) < 100 && GetGValue(clr) < 100 && clr != RGB(1, 2, 3) ? 1 : 0;
            nUnpainted += clr == RGB(1, 2, 3) ? 1 : 0;
        }
    EXPECT_GT(nText, 20) << "the keys' text";
    SCROLLINFO si = {sizeof(si), SIF_RANGE | SIF_PAGE};
    ASSERT_TRUE(::GetScrollInfo(pPage->m_lboxKeys.m_hWnd, SB_VERT, &si));
    EXPECT_EQ((int)expected.size() - 1, si.nMax) << "the scroll bar spans every key";
    EXPECT_LT(nUnpainted, canvas.Width() * canvas.Height() / 10) << "the list's background";
    EXPECT_FALSE(testsupport::SaveSnapshot(canvas, "key_list_largest_table").empty());
    pSheet->UpdateWindow();
    EXPECT_FALSE(testsupport::SaveWindowSnapshot(pSheet->m_hWnd, "keyboard_page_largest_table").empty());
}

// The keys list is changed in place after a click where it can be: after
// each change it must be what a fresh fill would show, each key carrying its
// entry's index as its data, with nothing selected and its first key at the
// top.
TEST_F(KeyboardPageTest, AfterEachChangeTheKeysListIsWhatAFreshListShows)
{
    // Every third entry for Load Puzzle, the last one too, so that a removal
    // in the middle moves one of its own keys; every chord different.
    std::vector<ACCEL> table(60);
    for (int i = 0; i < (int)table.size(); i++)
    {
        ACCEL& accel = table[(size_t)i];
        accel.fVirt = (BYTE)(FVIRTKEY | ((i / 26 % 8) << 2));
        accel.key = (WORD)('A' + i % 26);
        accel.cmd = (i % 3 == 0 || i == 59) ? (WORD)kFileOpen : i % 3 == 1 ? (WORD)kSavePuzzle : (WORD)(40000 + i);
    }
    pManager->SetAccelerators(table.data(), (int)table.size());
    auto Expected = [&](int nCmd, std::vector<DWORD_PTR>& indexes) {
        std::vector<std::string> out;
        const std::vector<ACCEL> now = Table();
        for (size_t i = 0; i < now.size(); i++)
        {
            ACCEL accel = now[i];
            if (accel.cmd == nCmd)
            {
                out.push_back((LPCTSTR)pManager->Format(&accel));
                indexes.push_back(i);
            }
        }
        return out;
    };
    auto Check = [&](int nCmd, const char* pszAfter) {
        std::vector<DWORD_PTR> indexes;
        EXPECT_EQ(Expected(nCmd, indexes), KeyList()) << pszAfter;
        EXPECT_EQ(indexes, KeyData()) << pszAfter;
        EXPECT_EQ(LB_ERR, pPage->m_lboxKeys.GetCurSel()) << pszAfter;
        EXPECT_EQ(0, pPage->m_lboxKeys.GetTopIndex()) << pszAfter;
    };
    auto PickKey = [&](int nKey) {
        pPage->m_lboxKeys.SetTopIndex(nKey);
        pPage->m_lboxKeys.SetCurSel(nKey);
    };
    ASSERT_TRUE(pPage->AddCategories(102));
    Open("File");
    SelectCommand("Load Puzzle...");
    ASSERT_EQ(21u, KeyList().size());
    Check(kFileOpen, "the first fill");

    PickKey(5);
    pPage->RemoveShortcut();
    ASSERT_EQ(20u, KeyList().size());
    Check(kFileOpen, "a removal the command's last key moves into");
    PickKey(19);
    pPage->RemoveShortcut();
    Check(kFileOpen, "removing the last key");
    PickKey(0);
    pPage->RemoveShortcut();
    Check(kFileOpen, "removing the first key");

    PressChord(VK_F7, {VK_CONTROL, VK_MENU});
    pPage->AssignShortcut();
    ASSERT_EQ(19u, KeyList().size());
    Check(kFileOpen, "a new chord");

    // Ctrl+A is Save Puzzle's entry 52: it joins the middle of the list.
    ASSERT_EQ(kSavePuzzle, (int)Table()[52].cmd);
    Boxes().nAnswer = IDYES;
    PickKey(3);
    PressChord('A', {VK_CONTROL});
    pPage->AssignShortcut();
    ASSERT_EQ(1u, Boxes().texts.size());
    ASSERT_EQ(20u, KeyList().size());
    Check(kFileOpen, "a chord taken from another command");

    SelectCommand("Save Puzzle...");
    Check(kSavePuzzle, "another command");
    SelectCommand("Load Puzzle...");
    Check(kFileOpen, "the command again");
    PickKey(7);
    SelectCommand("Load Puzzle...");
    Check(kFileOpen, "the same command clicked again");

    // The category again: it ends on its first command, whichever it is.
    PickKey(2);
    pPage->SendMessage(WM_COMMAND, MAKEWPARAM(XTP_IDC_KEYBOARD_CATEGORY, CBN_SELCHANGE),
                       (LPARAM)pPage->m_comboCategory.m_hWnd);
    CXTPControl* pFirst = (CXTPControl*)pPage->m_lboxCommands.GetItemDataPtr(0);
    ASSERT_TRUE(pFirst != NULL);
    Check(pFirst->GetID(), "the category clicked again");

    // A chord held twice: the key left in place of a removed twin, and the
    // key whose entry moves, keep their text and take their entry's index.
    ACCEL twins[] = {{FVIRTKEY | FCONTROL, 'O', (WORD)kFileOpen},
                     {FVIRTKEY | FCONTROL, 'O', (WORD)kFileOpen},
                     {FVIRTKEY, VK_F5, (WORD)kFileOpen},
                     {FVIRTKEY, VK_F6, (WORD)kSavePuzzle}};
    pManager->SetAccelerators(twins, 4);
    SelectCommand("Load Puzzle...");
    Check(kFileOpen, "a table with a chord held twice");
    PickKey(0);
    pPage->RemoveShortcut();
    ASSERT_EQ((std::vector<std::string>{"Ctrl+O", "F5"}), KeyList());
    Check(kFileOpen, "removing the first of two keys of one chord");
    PickKey(0);
    pPage->RemoveShortcut();
    ASSERT_EQ((std::vector<std::string>{"F5"}), KeyList());
    Check(kFileOpen, "removing a key whose place the last entry takes");

    SelectCommand("Load Puzzle...");
    Boxes().nAnswer = IDYES;
    pPage->ResetAllShortcuts();
    ASSERT_EQ(14, Count());
    Check(kFileOpen, "resetting every shortcut");
    EXPECT_FALSE(IsEnabled(XTP_IDC_KEYBOARD_REMOVE));
}
