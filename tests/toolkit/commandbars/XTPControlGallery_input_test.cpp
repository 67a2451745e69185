// A gallery in a menu worked with the real keyboard and wheel: the arrows
// move within its grid, Enter runs the chosen item, the wheel scrolls it.
// ctest: run-serial
#include "support/commandbars_testframe.h"
#include "support/keyinput.h"
#include "support/mouseinput.h"

#include "XTPControlGallery.h"

#include <algorithm>

using namespace cbtest;
using testsupport::PressKey;

namespace
{
const int ID_GALLERY = 2093;
const int kItems = 24;

void Settle(int nRounds = 10)
{
    for (int i = 0; i < nRounds; i++)
    {
        PumpAndIdle();
        ::Sleep(10);
    }
}

void Press(WORD vk)
{
    PressKey(vk);
    Settle();
}

// The frame with a gallery of 24 items of 40 x 20, three rows tall, at the
// top of its Edit menu (the menu's width decides how many go to a row).
class GalleryInputTest : public CommandBarsFrameTest
{
protected:
    void SetUp() override
    {
        CommandBarsFrameTest::SetUp();
        if (HasFatalFailure())
            return;
        CXTPControlPopup* pEditMenu = FindPopup(m_pFrame->GetMenuBar(), "&Edit");
        ASSERT_TRUE(pEditMenu != NULL && pEditMenu->GetCommandBar() != NULL);
        m_pGallery = (CXTPControlGallery*)pEditMenu->GetCommandBar()->GetControls()->Add(xtpControlGallery,
                                                                                        ID_GALLERY, NULL, 0);
        ASSERT_TRUE(m_pGallery->IsKindOf(RUNTIME_CLASS(CXTPControlGallery)));
        m_pItems = new CXTPControlGalleryItems();
        m_pItems->SetItemSize(CSize(40, 20));
        for (int i = 0; i < kItems; i++)
        {
            CString str;
            str.Format("%d", i);
            m_pItems->AddItem(str, 100 + i);
        }
        m_pGallery->SetItems(m_pItems);
        m_pGallery->SetWidth(120 + ::GetSystemMetrics(SM_CXVSCROLL));
        m_pGallery->SetHeight(60);

        m_pFrame->SetForegroundWindow();
        m_pFrame->SetFocus();
        Settle();
        ASSERT_EQ(m_pFrame->m_hWnd, ::GetForegroundWindow());
    }
    void TearDown() override
    {
        if (m_pItems != NULL)
            m_pItems->InternalRelease();
        CommandBarsFrameTest::TearDown();
    }
    void OpenEditMenu()
    {
        testsupport::PressAltWith('E');
        Settle();
    }
    int Selected() const { return m_pGallery->GetSelectedItem(); }
    // Items in a row, as laid out.
    int Columns() const
    {
        int nColumns = 1;
        while (nColumns < kItems && !m_pGallery->GetItemPositions()[nColumns].bBeginRow)
            nColumns++;
        return nColumns;
    }

    CXTPControlGallery* m_pGallery = NULL;
    CXTPControlGalleryItems* m_pItems = NULL;
};
} // namespace

TEST_F(GalleryInputTest, ArrowsMoveWithinTheGridAndEnterRunsTheItem)
{
    OpenEditMenu();
    CXTPPopupBar* pMenu = TopTrackedPopup();
    ASSERT_TRUE(pMenu != NULL);
    ASSERT_EQ(m_pGallery, pMenu->GetSelectedControl()) << "the menu opens on its first control";
    EXPECT_EQ(0, Selected());

    const int c = Columns();
    ASSERT_GE(c, 2);
    ASSERT_GE(kItems / c, 4) << "more rows than the gallery shows";
    Press(VK_DOWN);
    EXPECT_EQ(m_pGallery, pMenu->GetSelectedControl()) << "Down stays in the gallery";
    EXPECT_EQ(c, Selected()) << "the item below";
    Press(VK_RIGHT);
    EXPECT_EQ(pMenu, TopTrackedPopup()) << "Right moves in the row and leaves the menu open";
    EXPECT_EQ(c + 1, Selected());
    Press(VK_LEFT);
    Press(VK_LEFT);
    EXPECT_EQ(2 * c - 1, Selected()) << "before the row's start the row's last item";
    Press(VK_UP);
    EXPECT_EQ(c - 1, Selected());

    // Down to the fourth row scrolls it into the three-row gallery.
    Press(VK_DOWN);
    Press(VK_DOWN);
    Press(VK_DOWN);
    EXPECT_EQ(4 * c - 1, Selected());
    EXPECT_GT(m_pGallery->GetScrollPos(), 0);

    Press(VK_RETURN);
    EXPECT_TRUE(TopTrackedPopup() == NULL) << "running the item closes the menu";
    ASSERT_EQ(1u, (size_t)std::count(m_pFrame->m_arrCommands.begin(), m_pFrame->m_arrCommands.end(),
                                     (UINT)ID_GALLERY));
    EXPECT_EQ(4 * c - 1, Selected()) << "the command finds the item chosen";
    while (m_pFrame->GetMenuBar()->IsTrackingMode())
        Press(VK_ESCAPE);
}

TEST_F(GalleryInputTest, DownFromTheLastRowLeavesTheGalleryForTheNextItem)
{
    OpenEditMenu();
    CXTPPopupBar* pMenu = TopTrackedPopup();
    ASSERT_TRUE(pMenu != NULL);
    Press(VK_END);
    EXPECT_EQ(kItems - 1, Selected()) << "End takes the gallery's last item";
    Press(VK_DOWN);
    EXPECT_NE(m_pGallery, pMenu->GetSelectedControl()) << "below the last row the menu goes on";
    EXPECT_EQ(pMenu, TopTrackedPopup());
    Press(VK_ESCAPE);
    Press(VK_ESCAPE);
}

TEST_F(GalleryInputTest, TheWheelOverTheGalleryScrollsIt)
{
    OpenEditMenu();
    CXTPPopupBar* pMenu = TopTrackedPopup();
    ASSERT_TRUE(pMenu != NULL);
    CRect rcGallery = m_pGallery->GetRect();
    pMenu->ClientToScreen(&rcGallery);
    using testsupport::MouseInput;
    const DWORD dwAt = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    CPoint pt(rcGallery.left + 20, rcGallery.top + 10);
    testsupport::SendInputs({MouseInput(dwAt, pt), MouseInput(dwAt, pt + CPoint(1, 1))});
    Settle();
    ASSERT_EQ(m_pGallery, pMenu->GetSelectedControl());
    EXPECT_EQ(0, m_pGallery->GetScrollPos());

    INPUT wheel = MouseInput(MOUSEEVENTF_WHEEL);
    wheel.mi.mouseData = (DWORD)-WHEEL_DELTA;
    testsupport::SendInputs({wheel});
    Settle();
    EXPECT_GT(m_pGallery->GetScrollPos(), 0) << "a turn down scrolls the items up";
    EXPECT_EQ(pMenu, TopTrackedPopup()) << "the menu stays open";
    wheel.mi.mouseData = (DWORD)WHEEL_DELTA;
    testsupport::SendInputs({wheel});
    Settle();
    EXPECT_EQ(0, m_pGallery->GetScrollPos());
    Press(VK_ESCAPE);
    Press(VK_ESCAPE);
}
