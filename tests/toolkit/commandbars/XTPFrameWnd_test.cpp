// A frame with command bars loaded from its resources: which accelerator
// table translates the keys once the shortcut manager holds the program's
// table, with the stored shortcuts the player left (an empty table
// included), so that the keys that work are the keys the menus show.
// ctest: lock registry
#include <gtest/gtest.h>

#include "XTPCommandBars.h"
#include "XTPFrameWnd.h"
#include "XTPShortcutManager.h"
#include "support/profile_app.h"

namespace
{
const char* const kTestKey = "BrindlemarkFrameWndTests";
const UINT kGameResource = 102;   // the game's menu and accelerator resource
const UINT kNoResource = 4321;    // no accelerator table of that id

// The frame loads the shortcut manager's table (from nAccelResource) and
// the stored shortcuts while it is created, as the game's frame does.
class CShortcutFrame : public CXTPFrameWnd
{
public:
    explicit CShortcutFrame(UINT nAccelResource) : m_nAccelResource(nAccelResource) {}

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct)
    {
        if (CXTPFrameWnd::OnCreate(lpCreateStruct) == -1 || !InitCommandBars())
            return -1;
        GetCommandBars()->GetShortcutManager()->LoadAccelerators(m_nAccelResource);
        GetCommandBars()->GetShortcutManager()->LoadShortcuts("CommandBars");
        return 0;
    }
    DECLARE_MESSAGE_MAP()

private:
    UINT m_nAccelResource;
};

BEGIN_MESSAGE_MAP(CShortcutFrame, CXTPFrameWnd)
ON_WM_CREATE()
END_MESSAGE_MAP()

// A frame loaded from the game's resources; it deletes itself when destroyed.
CShortcutFrame* LoadShortcutFrame(UINT nAccelResource)
{
    CShortcutFrame* pFrame = new CShortcutFrame(nAccelResource);
    if (!pFrame->LoadFrame(kGameResource, WS_OVERLAPPEDWINDOW))
        return NULL;
    return pFrame;
}

class FrameWndTest : public ::testing::Test
{
protected:
    FrameWndTest() : app(kTestKey) {}
    testsupport::ProfileApp app;
};
} // namespace

TEST_F(FrameWndTest, OnlyTheShortcutManagerTranslatesOnceItHoldsTheProgramsTable)
{
    // No stored shortcuts: the manager's copy of the table works and shows;
    // the frame's own table is gone.
    CShortcutFrame* pFrame = LoadShortcutFrame(kGameResource);
    ASSERT_TRUE(pFrame != NULL);
    CXTPShortcutManager* pManager = pFrame->GetCommandBars()->GetShortcutManager();
    EXPECT_TRUE(pManager->GetAcceleratorTable() != NULL);
    EXPECT_EQ(NULL, pFrame->m_hAccelTable);
    CString strShortcut;
    EXPECT_TRUE(pManager->FindDefaultAccelerator(ID_FILE_NEW, strShortcut));
    EXPECT_FALSE(strShortcut.IsEmpty());
    pFrame->DestroyWindow();

    // The player removed every shortcut: 0 bytes are stored. No key works
    // (the frame's table went too) and none shows, until the table is
    // reset from the program's.
    app.SetRaw("CommandBars", "Accelerators", REG_BINARY, "", 0);
    pFrame = LoadShortcutFrame(kGameResource);
    ASSERT_TRUE(pFrame != NULL);
    pManager = pFrame->GetCommandBars()->GetShortcutManager();
    EXPECT_EQ(NULL, pManager->GetAcceleratorTable());
    EXPECT_EQ(NULL, pFrame->m_hAccelTable) << "keys the menus do not show would still work";
    strShortcut.Empty();
    EXPECT_FALSE(pManager->FindDefaultAccelerator(ID_FILE_NEW, strShortcut));
    EXPECT_TRUE(strShortcut.IsEmpty());
    MSG msg = {pFrame->GetSafeHwnd(), WM_KEYDOWN, VK_F6, 0x00400001};
    EXPECT_FALSE(pFrame->PreTranslateMessage(&msg)) << "F6 is no shortcut any more";
    pManager->Reset();
    EXPECT_TRUE(pManager->FindDefaultAccelerator(ID_FILE_NEW, strShortcut));
    EXPECT_FALSE(strShortcut.IsEmpty());
    EXPECT_EQ(NULL, pFrame->m_hAccelTable);
    pFrame->DestroyWindow();
}

TEST_F(FrameWndTest, WithoutTheProgramsTableTheFrameKeepsItsOwn)
{
    // The manager found no table of its id: the frame's own table
    // translates, and the menus show its keys.
    CShortcutFrame* pFrame = LoadShortcutFrame(kNoResource);
    ASSERT_TRUE(pFrame != NULL);
    CXTPShortcutManager* pManager = pFrame->GetCommandBars()->GetShortcutManager();
    EXPECT_EQ(NULL, pManager->GetOriginalAccelerator());
    EXPECT_TRUE(pFrame->m_hAccelTable != NULL);
    CString strShortcut;
    EXPECT_TRUE(pManager->FindDefaultAccelerator(ID_FILE_NEW, strShortcut));
    EXPECT_FALSE(strShortcut.IsEmpty());
    pFrame->DestroyWindow();
}
