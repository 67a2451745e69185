// ctest: run-serial
// The tabbed MDI client as a user of a multiple-document program meets it,
// driven by real keys and clicks: the selected tab in the visible part of
// an overflowing strip, documents filling their group's room as groups come
// and go, documents that cannot be dragged, moved, sized or minimised out of
// their group's room (two and three groups, side by side and one under
// another), documents maximised and restored after the groups went that
// follow the client, the arrangement commands and the maximise button with
// several groups, a minimised document's tab, context help on a menu
// command and on a tab, and the maximised child's system menu on the menu
// bar.
#include "support/tabbed_mdiframe.h"
#include "support/helpmode.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <utility>
#include <vector>

using namespace mditest;

namespace
{
std::vector<std::pair<DWORD_PTR, UINT>> g_help;

class CDocumentsApp : public CWinApp
{
public:
    CDocumentsApp() : CWinApp(_T("TabClientDocumentsTest")) {}
    void WinHelp(DWORD_PTR dwData, UINT nCmd) override { g_help.push_back({ dwData, nCmd }); }
};

// Where a point of a window's frame answers the hit test given (a caption
// button), on the screen; (0,0) when no point of its caption does.
CPoint FindNonClientPart(HWND hWnd, LRESULT nPart)
{
    CRect rc;
    ::GetWindowRect(hWnd, &rc);
    for (int y = rc.top + 2; y < rc.top + 40 && y < rc.bottom; y += 2)
    {
        for (int x = rc.right - 2; x > rc.left; x -= 2)
        {
            if (::SendMessage(hWnd, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == nPart)
                return CPoint(x - 3, y + 2);
        }
    }
    return CPoint(0, 0);
}

class DocumentsTest : public TabbedMDIFrameTest
{
protected:
    void SetUp() override
    {
        g_help.clear();
        TabbedMDIFrameTest::SetUp();
    }

    // The document rectangle of a child in the MDI client's coordinates.
    CRect ChildInClient(HWND hWnd)
    {
        CRect rc = WindowOnScreen(hWnd);
        Client().ScreenToClient(&rc);
        return rc;
    }

    CRect ClientRect()
    {
        CRect rc;
        Client().GetClientRect(&rc);
        return rc;
    }

    // The active document's tab is selected and lies whole in the visible
    // part of its strip: inside the header (which leaves out the scroll and
    // close buttons) and inside the window.
    void ExpectSelectedTabShown(const std::string& strWhen)
    {
        SCOPED_TRACE(strWhen);
        HWND hWndActive = ActiveChild();
        ASSERT_TRUE(hWndActive != NULL);
        CXTPTabManagerItem* pItem = Client().FindItem(hWndActive);
        ASSERT_TRUE(pItem != NULL);
        CXTPTabManager* pStrip = pItem->GetTabManager();
        EXPECT_EQ(pItem, pStrip->GetSelectedItem());
        CRect rcTab = pItem->GetRect();
        CRect rcHeader = pStrip->GetHeaderRect();
        EXPECT_GE(rcTab.left, rcHeader.left) << (LPCTSTR)Title(hWndActive);
        EXPECT_LE(rcTab.right, rcHeader.right) << (LPCTSTR)Title(hWndActive);
        EXPECT_LE(rcHeader.right, ClientRect().right);
        // The pointer over its middle finds it.
        EXPECT_EQ(pItem, pStrip->HitTest(rcTab.CenterPoint()));
    }

    // 32 documents, one after another, and every way of activating one.
    void OpenManyAndActivate(const char* pszSnapshot)
    {
        CRect rcClient = ClientRect();
        for (int i = 0; i < 32; i++)
        {
            if (i % 2 == 0)
                NewNote();
            else
                NewSketch();
            ExpectSelectedTabShown("after opening document " + std::to_string(i + 1));
            if (HasFatalFailure())
                return;
        }
        ASSERT_EQ(1, Client().GetWorkspaceCount());
        CXTPTabManager* pStrip = Client().GetWorkspace(0);
        ASSERT_EQ(32, pStrip->GetItemCount());
        // The strip overflows: not every tab can be seen.
        EXPECT_GT(pStrip->GetItemsLength(), pStrip->GetHeaderRect().Width());
        EXPECT_FALSE(testsupport::SaveScreenSnapshot(m_pFrame->m_hWnd, std::string(pszSnapshot) + "_opened").empty());

        // Ctrl+Tab from the last tab comes round to the first one.
        CtrlKey(VK_TAB);
        EXPECT_EQ((HWND)pStrip->GetItem(0)->GetData(), ActiveChild());
        ExpectSelectedTabShown("after Ctrl+Tab round to the first");
        // Ctrl+Shift+Tab back to the last one.
        CtrlKey(VK_TAB, TRUE);
        EXPECT_EQ((HWND)pStrip->GetItem(31)->GetData(), ActiveChild());
        ExpectSelectedTabShown("after Ctrl+Shift+Tab back to the last");
        // The program activates one in the middle, then the first.
        m_pFrame->MDIActivate(CWnd::FromHandle((HWND)pStrip->GetItem(15)->GetData()));
        Settle();
        ExpectSelectedTabShown("after activating the sixteenth");
        m_pFrame->MDIActivate(CWnd::FromHandle((HWND)pStrip->GetItem(0)->GetData()));
        Settle();
        ExpectSelectedTabShown("after activating the first");
        // A click on a tab that can be seen.
        HWND hSecond = (HWND)pStrip->GetItem(1)->GetData();
        Click(TabPoint(hSecond));
        EXPECT_EQ(hSecond, ActiveChild());
        ExpectSelectedTabShown("after a click on the second tab");
        // Ctrl+F6 steps on through the tabs.
        for (int i = 0; i < 3; i++)
            CtrlKey(VK_F6);
        EXPECT_EQ((HWND)pStrip->GetItem(4)->GetData(), ActiveChild());
        ExpectSelectedTabShown("after Ctrl+F6");
        // The Window menu's list of windows: its first entry.
        HWND hBefore = ActiveChild();
        AltKey('W');
        Keys({ '1' });
        EXPECT_NE(hBefore, ActiveChild());
        ExpectSelectedTabShown("after choosing from the Window menu's list");
        m_pFrame->MDIActivate(CWnd::FromHandle((HWND)pStrip->GetItem(31)->GetData()));
        Settle();
        ExpectSelectedTabShown("after activating the last again");
        EXPECT_FALSE(testsupport::SaveScreenSnapshot(m_pFrame->m_hWnd, std::string(pszSnapshot) + "_last").empty());

        // Narrower and wider again.
        CRect rcFrame = WindowOnScreen(m_pFrame->m_hWnd);
        m_pFrame->SetWindowPos(NULL, 0, 0, rcFrame.Width() - 300, rcFrame.Height(), SWP_NOMOVE | SWP_NOZORDER);
        Settle();
        EXPECT_LT(ClientRect().Width(), rcClient.Width());
        ExpectSelectedTabShown("after the frame got narrower");
        m_pFrame->SetWindowPos(NULL, 0, 0, rcFrame.Width(), rcFrame.Height(), SWP_NOMOVE | SWP_NOZORDER);
        Settle();
        ExpectSelectedTabShown("after the frame got wider");
    }

    // Three documents, the third in a new group (vertical or horizontal),
    // the second moved after it: the first is alone in the first group.
    void MakeTwoGroups(WORD vkNewGroup)
    {
        NewNote();
        NewSketch();
        NewNote();
        m_hNote1 = ChildOf("Note1");
        m_hSketch1 = ChildOf("Sketch1");
        m_hNote2 = ChildOf("Note2");
        ASSERT_TRUE(m_hNote1 != NULL && m_hSketch1 != NULL && m_hNote2 != NULL);
        AltKey('W');
        Keys({ vkNewGroup });
        ASSERT_EQ(2, Client().GetWorkspaceCount());
        Click(TabPoint(m_hSketch1));
        ASSERT_EQ(m_hSketch1, ActiveChild());
        AltKey('W');
        Keys({ 'X' });
        ASSERT_EQ(2, Client().GetWorkspaceCount());
        ASSERT_EQ(1, Client().GetWorkspace(0)->GetItemCount());
        ASSERT_EQ(2, Client().GetWorkspace(1)->GetItemCount());
        EXPECT_EQ(m_hNote1, (HWND)Client().GetWorkspace(0)->GetItem(0)->GetData());
    }

    // Every document fills the whole client area.
    void ExpectDocumentsFillTheClient(const char* pszWhen)
    {
        SCOPED_TRACE(pszWhen);
        CRect rcClient = ClientRect();
        for (HWND hWnd : { m_hNote1, m_hSketch1, m_hNote2 })
        {
            if (!::IsWindow(hWnd))
                continue;
            EXPECT_EQ(rcClient, ChildInClient(hWnd)) << (LPCTSTR)Title(hWnd);
        }
    }

    // Closes the first group's only document with its strip's close button.
    void CloseFirstGroupsDocument()
    {
        Click(TabPoint(m_hNote1));
        ASSERT_EQ(m_hNote1, ActiveChild());
        CXTPTabManager::CNavigateButton* pClose =
            Client().GetWorkspace(0)->FindNavigateButton(xtpTabNavigateButtonClose);
        ASSERT_TRUE(pClose != NULL && pClose->IsVisible());
        CPoint pt = pClose->GetRect().CenterPoint();
        Client().ClientToScreen(&pt);
        Click(pt);
        Settle(100);
        EXPECT_FALSE(::IsWindow(m_hNote1));
        ASSERT_EQ(1, Client().GetWorkspaceCount());
        EXPECT_EQ(2, Client().GetWorkspace(0)->GetItemCount());
    }

    // In the middle of every group's room the pointer finds its selected
    // document (or a window of it).
    void ExpectSelectedDocumentsInFront(const char* pszWhen)
    {
        SCOPED_TRACE(pszWhen);
        for (int i = 0; i < Client().GetWorkspaceCount(); i++)
        {
            CXTPTabClientWnd::CWorkspace* pWorkspace = Client().GetWorkspace(i);
            HWND hWndSelected = (HWND)pWorkspace->GetSelectedItem()->GetData();
            CPoint pt = pWorkspace->GetDocumentRect().CenterPoint();
            Client().ClientToScreen(&pt);
            HWND hWndThere = ::WindowFromPoint(pt);
            while (hWndThere != NULL && ::GetParent(hWndThere) != Client().m_hWnd)
                hWndThere = ::GetParent(hWndThere);
            EXPECT_EQ(Title(hWndSelected), Title(hWndThere)) << "group " << i;
        }
    }

    // Documents opened and put into groups with Window > New Vertical (or
    // Horizontal) Tab Group, once per group after the first: the last group
    // holds the document opened last, alone.
    void MakeGroups(int nGroups, WORD vkNewGroup)
    {
        for (int i = 0; i <= nGroups; i++)
        {
            if (i % 2 == 0)
                NewNote();
            else
                NewSketch();
        }
        for (int i = 1; i < nGroups; i++)
        {
            if (i > 1)
                Click(TabPoint((HWND)Client().GetWorkspace(0)->GetItem(1)->GetData()));
            AltKey('W');
            Keys({ vkNewGroup });
        }
        ASSERT_EQ(nGroups, Client().GetWorkspaceCount());
    }

    // The pointer moved to ptFrom, then by szBy in steps.
    static std::vector<INPUT> PointerPath(CPoint ptFrom, CSize szBy)
    {
        const DWORD dwAt = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        std::vector<INPUT> inputs = { testsupport::MouseInput(dwAt, ptFrom) };
        for (int i = 1; i <= 6; i++)
            inputs.push_back(testsupport::MouseInput(dwAt, ptFrom + CSize(szBy.cx * i / 6, szBy.cy * i / 6)));
        return inputs;
    }

    // A drag from ptFrom by szBy, in one batch.
    static void Drag(CPoint ptFrom, CSize szBy)
    {
        ::SetCursorPos(ptFrom.x, ptFrom.y);
        std::vector<INPUT> inputs = PointerPath(ptFrom, szBy);
        inputs.insert(inputs.begin() + 1, testsupport::MouseInput(MOUSEEVENTF_LEFTDOWN));
        inputs.push_back(testsupport::MouseInput(MOUSEEVENTF_LEFTUP));
        testsupport::SendInputs(inputs);
        Settle(250);
    }

    // A click on the document's icon opens its system menu and a key
    // chooses an item, in one batch. What the item starts (the system's
    // move or size loop, begun from the keyboard) is then driven as a hand
    // would, from another thread while the loop runs: the pointer from
    // ptFrom by szBy, and a click. A menu still open then (the item is not
    // there or is greyed) gets Escape. The icon is clicked a double-click
    // time after any earlier click (two would close the document).
    static void SystemMenuCommand(HWND hWnd, WORD vkItem, CPoint ptFrom = CPoint(), CSize szBy = CSize())
    {
        Settle(::GetDoubleClickTime() + 50);
        CPoint ptIcon = FindNonClientPart(hWnd, HTSYSMENU);
        ASSERT_NE(CPoint(0, 0), ptIcon);
        ::SetCursorPos(ptIcon.x, ptIcon.y);
        std::vector<INPUT> inputs = { testsupport::MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, ptIcon),
                                      testsupport::MouseInput(MOUSEEVENTF_LEFTDOWN),
                                      testsupport::MouseInput(MOUSEEVENTF_LEFTUP) };
        for (bool bUp : { false, true })
        {
            inputs.push_back(testsupport::KeyInput(vkItem, bUp));
            inputs.back().ki.wScan = (WORD)::MapVirtualKey(vkItem, 0);
        }
        testsupport::SendInputs(inputs);
        std::thread hand([ptFrom, szBy] {
            ::Sleep(300);
            HWND hMenu = ::FindWindow(_T("#32768"), NULL);
            if ((hMenu != NULL && ::IsWindowVisible(hMenu)) || ptFrom == CPoint())
                return testsupport::SendInputs({ testsupport::KeyInput(VK_ESCAPE, false), testsupport::KeyInput(VK_ESCAPE, true) });
            std::vector<INPUT> moves = PointerPath(ptFrom, szBy);
            moves.push_back(testsupport::MouseInput(MOUSEEVENTF_LEFTDOWN));
            moves.push_back(testsupport::MouseInput(MOUSEEVENTF_LEFTUP));
            testsupport::SendInputs(moves);
        });
        Settle(600);
        hand.join();
        Settle(100);
    }

    // What a user does to move a document, size it or minimise it: a drag
    // of its border facing the group before by nBy px (180 toward it), a
    // drag of its caption, and Move, Size and Minimize from its system menu.
    // Gives those that changed the document's place or minimised it.
    std::string TryToMoveSizeAndMinimise(HWND hWnd, BOOL bHorizontal, int nBy = -180)
    {
        std::string changed;
        CRect rc;
        auto Check = [&](const char* pszWhat) {
            if (::IsIconic(hWnd) || WindowOnScreen(hWnd) != rc)
                changed += std::string(changed.empty() ? "" : ", ") + pszWhat;
            rc = WindowOnScreen(hWnd);
        };
        rc = WindowOnScreen(hWnd);
        const CSize szToward = bHorizontal ? CSize(0, nBy) : CSize(nBy, 0);
        // Its border facing the group before, and the middle of its caption.
        auto Border = [&] { return bHorizontal ? CPoint(rc.CenterPoint().x, rc.top + 1) : CPoint(rc.left + 1, rc.CenterPoint().y); };
        auto Caption = [&] {
            CPoint pt(rc.CenterPoint().x, rc.top + ::GetSystemMetrics(SM_CYFRAME) + ::GetSystemMetrics(SM_CYCAPTION) / 2);
            EXPECT_EQ(HTCAPTION, ::SendMessage(hWnd, WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y)));
            return pt;
        };
        Drag(Border(), szToward);
        Check("border drag");
        Drag(Caption(), szToward);
        Check("caption drag");
        SystemMenuCommand(hWnd, 'M', Caption(), szToward);
        Check("Move");
        SystemMenuCommand(hWnd, 'S', Border(), szToward);
        Check("Size");
        SystemMenuCommand(hWnd, 'N');
        Check("Minimize");
        return changed;
    }

    HWND m_hNote1 = NULL;
    HWND m_hSketch1 = NULL;
    HWND m_hNote2 = NULL;
};

// The selected tab ------------------------------------------------------------

TEST_F(DocumentsTest, TheSelectedTabStaysInTheVisibleStripOfAClientNarrowerThanAThousandPixels)
{
    m_pFrame->SetWindowPos(NULL, 0, 0, 830, 600, SWP_NOMOVE | SWP_NOZORDER);
    Settle();
    ASSERT_LT(ClientRect().Width(), 1000);
    OpenManyAndActivate("strip_narrow");
}

TEST_F(DocumentsTest, TheSelectedTabStaysInTheVisibleStripOfAClientWiderThanAThousandPixels)
{
    m_pFrame->SetWindowPos(NULL, 0, 0, 1240, 600, SWP_NOMOVE | SWP_NOZORDER);
    Settle();
    ASSERT_GT(ClientRect().Width(), 1100);
    OpenManyAndActivate("strip_wide");
}

// Groups ------------------------------------------------------------------------

TEST_F(DocumentsTest, DocumentsFillTheClientWhenTheirGroupIsTheLastOneOfVerticalGroups)
{
    ASSERT_NO_FATAL_FAILURE(MakeTwoGroups('V'));
    // Side by side, each filling its half.
    CRect rcLeft = ChildInClient(m_hNote1);
    CRect rcRight = ChildInClient(m_hNote2);
    EXPECT_EQ(rcRight, ChildInClient(m_hSketch1));
    EXPECT_LE(rcLeft.right, rcRight.left + 1);
    ASSERT_NO_FATAL_FAILURE(CloseFirstGroupsDocument());
    ExpectDocumentsFillTheClient("after the left group's last document closed");
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(m_pFrame->m_hWnd, "groups_vertical_closed").empty());
    // They go on filling it as the frame is resized.
    CRect rcFrame = WindowOnScreen(m_pFrame->m_hWnd);
    m_pFrame->SetWindowPos(NULL, 0, 0, rcFrame.Width() + 80, rcFrame.Height() + 40, SWP_NOMOVE | SWP_NOZORDER);
    Settle();
    ExpectDocumentsFillTheClient("after the frame grew");
}

TEST_F(DocumentsTest, DocumentsFillTheClientWhenTheirGroupIsTheLastOneOfHorizontalGroups)
{
    ASSERT_NO_FATAL_FAILURE(MakeTwoGroups('Z'));
    EXPECT_LE(ChildInClient(m_hNote1).bottom, ChildInClient(m_hNote2).top);
    ASSERT_NO_FATAL_FAILURE(CloseFirstGroupsDocument());
    ExpectDocumentsFillTheClient("after the upper group's last document closed");
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(m_pFrame->m_hWnd, "groups_horizontal_closed").empty());

    // Groups made again and undone by the menu: the same.
    Click(TabPoint(m_hNote2));
    AltKey('W');
    Keys({ 'Z' });
    ASSERT_EQ(2, Client().GetWorkspaceCount());
    EXPECT_LE(ChildInClient(m_hSketch1).bottom, ChildInClient(m_hNote2).top);
    AltKey('W');
    Keys({ 'R' });
    ASSERT_EQ(1, Client().GetWorkspaceCount());
    ExpectDocumentsFillTheClient("after the lower group's document moved up");
}

// Two and three groups, side by side and one under another, in a client
// of about 800 and 1,250 px.
struct GroupsCase
{
    int nGroups;
    BOOL bHorizontal;
    int nFrameWidth;
};

class DocumentsInGroupsTest : public DocumentsTest, public ::testing::WithParamInterface<GroupsCase>
{
};

TEST_P(DocumentsInGroupsTest, ADocumentStaysInItsGroupsRoomAndMovesSizesAndMinimisesAgainOnceTheGroupsGo)
{
    const GroupsCase& param = GetParam();
    m_pFrame->SetWindowPos(NULL, 0, 0, param.nFrameWidth, 700, SWP_NOMOVE | SWP_NOZORDER);
    Settle();
    ASSERT_NO_FATAL_FAILURE(MakeGroups(param.nGroups, param.bHorizontal ? 'Z' : 'V'));
    ExpectSelectedDocumentsInFront("groups made");
    HWND hLast = (HWND)Client().GetWorkspace(param.nGroups - 1)->GetItem(0)->GetData();
    CRect rcRoom = ChildInClient(hLast);
    // Its caption offers neither minimise nor maximise.
    EXPECT_EQ(CPoint(0, 0), FindNonClientPart(hLast, HTMINBUTTON));
    EXPECT_EQ(CPoint(0, 0), FindNonClientPart(hLast, HTMAXBUTTON));
    EXPECT_EQ("", TryToMoveSizeAndMinimise(hLast, param.bHorizontal));
    EXPECT_EQ(rcRoom, ChildInClient(hLast));
    // The system menu as it showed: Move is not there, Size and Minimize
    // are greyed.
    HMENU hSystem = ::GetSystemMenu(hLast, FALSE);
    EXPECT_EQ((UINT)-1, ::GetMenuState(hSystem, SC_MOVE, MF_BYCOMMAND));
    EXPECT_TRUE(::GetMenuState(hSystem, SC_SIZE, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(::GetMenuState(hSystem, SC_MINIMIZE, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(m_pFrame->m_hWnd, "groups_" + std::to_string(param.nGroups) +
                                                 (param.bHorizontal ? "_horizontal_" : "_vertical_") +
                                                 std::to_string(param.nFrameWidth)).empty());
    // Its tab still shows it, in its room; the first group shows the
    // document whose tab was clicked.
    Click(TabPoint((HWND)Client().GetWorkspace(0)->GetItem(0)->GetData()));
    Click(TabPoint(hLast));
    EXPECT_EQ(rcRoom, ChildInClient(hLast));
    ExpectSelectedDocumentsInFront("tabs clicked");

    // Back into one group: all of it works again.
    while (Client().GetWorkspaceCount() > 1)
    {
        Click(TabPoint((HWND)Client().GetWorkspace(1)->GetItem(0)->GetData()));
        AltKey('W');
        Keys({ 'R' });
    }
    EXPECT_NE((UINT)-1, ::GetMenuState(hSystem, SC_MOVE, MF_BYCOMMAND));
    ExpectSelectedDocumentsInFront("groups undone");
    Click(TabPoint(hLast));
    ASSERT_EQ(hLast, ActiveChild());
    EXPECT_EQ("border drag, caption drag, Move, Size, Minimize", TryToMoveSizeAndMinimise(hLast, param.bHorizontal, 60));
}

INSTANTIATE_TEST_SUITE_P(Groups, DocumentsInGroupsTest,
                         ::testing::Values(GroupsCase{ 2, FALSE, 820 }, GroupsCase{ 3, FALSE, 1250 },
                                           GroupsCase{ 2, TRUE, 1250 }, GroupsCase{ 3, TRUE, 820 }));

TEST_F(DocumentsTest, DocumentsMaximisedAndRestoredAfterTheGroupsWentFollowTheClient)
{
    ASSERT_NO_FATAL_FAILURE(MakeGroups(2, 'V'));
    HWND hMoved = (HWND)Client().GetWorkspace(1)->GetItem(0)->GetData();
    Click(TabPoint(hMoved));
    AltKey('W');
    Keys({ 'R' });
    ASSERT_EQ(1, Client().GetWorkspaceCount());
    for (HWND hWnd : { hMoved, (HWND)Client().GetWorkspace(0)->GetItem(0)->GetData() })
    {
        SCOPED_TRACE((LPCTSTR)Title(hWnd));
        EXPECT_EQ(ClientRect(), ChildInClient(hWnd));
        // Maximised with its caption button, restored with the menu bar's.
        Click(TabPoint(hWnd));
        Click(FindNonClientPart(hWnd, HTMAXBUTTON));
        ASSERT_TRUE(::IsZoomed(hWnd));
        Click(MenuBarPoint(9152));
        ASSERT_FALSE(::IsZoomed(hWnd));
        // The frame 200 px narrower, then as wide again.
        for (int nBy : { -200, 200 })
        {
            CRect rcFrame = WindowOnScreen(m_pFrame->m_hWnd);
            m_pFrame->SetWindowPos(NULL, 0, 0, rcFrame.Width() + nBy, rcFrame.Height(), SWP_NOMOVE | SWP_NOZORDER);
            Settle();
            EXPECT_EQ(ClientRect(), ChildInClient(hWnd)) << nBy;
        }
    }
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(m_pFrame->m_hWnd, "restored_follows_client").empty());
}

TEST_F(DocumentsTest, ADocumentTheUserPlacedStaysWhereItIsWhenTheGroupsGo)
{
    ASSERT_NO_FATAL_FAILURE(MakeTwoGroups('V'));
    // Moved by the program while the groups last: the layout takes it back
    // into its group's room.
    ::SetWindowPos(m_hNote2, NULL, 10, 10, 200, 150, SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_NO_FATAL_FAILURE(CloseFirstGroupsDocument());
    ExpectDocumentsFillTheClient("after the groups went");
    // Once one group is left, a document the user moves keeps its place.
    ::SetWindowPos(m_hSketch1, NULL, 30, 20, 300, 200, SWP_NOZORDER | SWP_NOACTIVATE);
    CRect rcFrame = WindowOnScreen(m_pFrame->m_hWnd);
    m_pFrame->SetWindowPos(NULL, 0, 0, rcFrame.Width() + 60, rcFrame.Height(), SWP_NOMOVE | SWP_NOZORDER);
    Settle();
    EXPECT_EQ(CRect(30, 20, 330, 220), ChildInClient(m_hSketch1));
    EXPECT_EQ(ClientRect(), ChildInClient(m_hNote2));
}

TEST_F(DocumentsTest, TileCascadeAndMaximiseAreNotOfferedWhileThereAreSeveralGroups)
{
    NewNote();
    NewSketch();
    HWND hNote1 = ChildOf("Note1");
    HWND hSketch1 = ChildOf("Sketch1");
    ASSERT_TRUE(hNote1 != NULL && hSketch1 != NULL);
    // One group: the maximise button is there; where it lies on the sketch.
    CPoint ptMaxButton = FindNonClientPart(hSketch1, HTMAXBUTTON);
    ASSERT_NE(CPoint(0, 0), ptMaxButton);
    // Caption buttons keep their place from the top right corner.
    auto TopRight = [](HWND hWnd) {
        CRect rc = WindowOnScreen(hWnd);
        return CPoint(rc.right, rc.top);
    };
    CPoint ptFromCorner = ptMaxButton - TopRight(hSketch1);
    EXPECT_TRUE(::GetWindowLong(hSketch1, GWL_STYLE) & WS_MAXIMIZEBOX);

    AltKey('W');
    Keys({ 'V' });
    ASSERT_EQ(2, Client().GetWorkspaceCount());
    ASSERT_EQ(hSketch1, ActiveChild());
    CRect rcNote = ChildInClient(hNote1);
    CRect rcSketch = ChildInClient(hSketch1);

    // The Window menu shows Cascade, the tiles and Arrange Icons greyed.
    AltKey('W');
    CXTPPopupBar* pPopup = TrackedPopup();
    ASSERT_TRUE(pPopup != NULL);
    for (UINT nID : { ID_WINDOW_CASCADE, ID_WINDOW_TILE_HORZ, ID_WINDOW_TILE_VERT, ID_WINDOW_ARRANGE })
    {
        CXTPControl* pControl = pPopup->GetControls()->FindControl(nID);
        ASSERT_TRUE(pControl != NULL) << nID;
        EXPECT_FALSE(pControl->GetEnabled()) << nID;
    }
    EXPECT_TRUE(pPopup->GetControls()->FindControl(ID_WINDOW_NEW)->GetEnabled());
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(m_pFrame->m_hWnd, "groups_window_menu").empty());
    // Its keys and clicks do nothing.
    Keys({ 'C' });
    pPopup = TrackedPopup();
    if (pPopup == NULL)
    {
        AltKey('W');
        pPopup = TrackedPopup();
    }
    ASSERT_TRUE(pPopup != NULL);
    Click(PopupPoint(pPopup, pPopup->GetControls()->FindControl(ID_WINDOW_TILE_HORZ)));
    XTPMouseManager()->CloseAllTracked();
    Settle();
    EXPECT_EQ(rcNote, ChildInClient(hNote1));
    EXPECT_EQ(rcSketch, ChildInClient(hSketch1));

    // The children cannot be maximised: the button is greyed and a click on
    // it, a double click on the caption or the frame's call leave the
    // document in its group's room.
    EXPECT_FALSE(::GetWindowLong(hSketch1, GWL_STYLE) & WS_MAXIMIZEBOX);
    EXPECT_FALSE(::GetWindowLong(hNote1, GWL_STYLE) & WS_MAXIMIZEBOX);
    Click(TopRight(hSketch1) + ptFromCorner);
    EXPECT_FALSE(::IsZoomed(hSketch1));
    EXPECT_EQ(rcSketch, ChildInClient(hSketch1));
    CRect rc = WindowOnScreen(hSketch1);
    CPoint ptCaption(rc.left + 40, rc.top + ::GetSystemMetrics(SM_CYFRAME) + 6);
    ::SetCursorPos(ptCaption.x, ptCaption.y);
    testsupport::SendInputs({ testsupport::MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, ptCaption),
                              testsupport::MouseInput(MOUSEEVENTF_LEFTDOWN), testsupport::MouseInput(MOUSEEVENTF_LEFTUP),
                              testsupport::MouseInput(MOUSEEVENTF_LEFTDOWN), testsupport::MouseInput(MOUSEEVENTF_LEFTUP) });
    Settle(150);
    EXPECT_FALSE(::IsZoomed(hSketch1));
    EXPECT_EQ(rcSketch, ChildInClient(hSketch1));
    m_pFrame->MDIMaximize(CWnd::FromHandle(hSketch1));
    Settle();
    EXPECT_FALSE(::IsZoomed(hSketch1));
    EXPECT_EQ(rcSketch, ChildInClient(hSketch1));

    // One group again: all of it comes back and works.
    AltKey('W');
    Keys({ 'R' });
    ASSERT_EQ(1, Client().GetWorkspaceCount());
    EXPECT_TRUE(::GetWindowLong(hSketch1, GWL_STYLE) & WS_MAXIMIZEBOX);
    EXPECT_TRUE(::GetWindowLong(hNote1, GWL_STYLE) & WS_MAXIMIZEBOX);
    AltKey('W');
    pPopup = TrackedPopup();
    ASSERT_TRUE(pPopup != NULL);
    EXPECT_TRUE(pPopup->GetControls()->FindControl(ID_WINDOW_CASCADE)->GetEnabled());
    Keys({ 'C' });
    EXPECT_NE(ChildInClient(hNote1).TopLeft(), ChildInClient(hSketch1).TopLeft());
    Click(TopRight(hSketch1) + ptFromCorner);
    EXPECT_TRUE(::IsZoomed(hSketch1));
}

// A minimised document ------------------------------------------------------------

TEST_F(DocumentsTest, AClickOnAMinimisedDocumentsTabShowsIt)
{
    NewNote();
    NewSketch();
    NewNote();
    HWND hSketch1 = ChildOf("Sketch1");
    ASSERT_TRUE(hSketch1 != NULL);
    Click(TabPoint(hSketch1));
    ASSERT_EQ(hSketch1, ActiveChild());
    CRect rcBefore = ChildInClient(hSketch1);
    // Minimised with its own button.
    CPoint ptMin = FindNonClientPart(hSketch1, HTMINBUTTON);
    ASSERT_NE(CPoint(0, 0), ptMin);
    Click(ptMin);
    Settle(100);
    ASSERT_TRUE(::IsIconic(hSketch1));
    // Another document, then the minimised one's tab.
    Click(TabPoint(ChildOf("Note1")));
    Click(TabPoint(hSketch1));
    EXPECT_EQ(hSketch1, ActiveChild());
    EXPECT_FALSE(::IsIconic(hSketch1));
    EXPECT_EQ(rcBefore, ChildInClient(hSketch1));
    EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(hSketch1, AFX_IDW_PANE_FIRST)));
    // Minimised while it is the active one, its own tab brings it back too.
    Click(FindNonClientPart(hSketch1, HTMINBUTTON));
    Settle(100);
    ASSERT_TRUE(::IsIconic(hSketch1));
    Click(TabPoint(hSketch1));
    EXPECT_FALSE(::IsIconic(hSketch1));
    EXPECT_EQ(hSketch1, ActiveChild());
}

// Context help ----------------------------------------------------------------------

TEST_F(DocumentsTest, AMenuCommandChosenInHelpModeGivesItsHelpClosesTheMenuAndRunsNothing)
{
    NewNote();
    CNoteDoc* pDoc = (CNoteDoc*)m_pFrame->MDIGetActive()->GetActiveDocument();
    ASSERT_TRUE(pDoc != NULL && pDoc->IsKindOf(RUNTIME_CLASS(CNoteDoc)));
    CPoint ptNote(0, 0);
    for (int i = 0; i < m_pMenuBar->GetControlCount(); i++)
    {
        if (m_pMenuBar->GetControl(i)->GetCaption() == "&Note")
        {
            ptNote = m_pMenuBar->GetControl(i)->GetRect().CenterPoint();
            m_pMenuBar->ClientToScreen(&ptNote);
        }
    }
    ASSERT_NE(CPoint(0, 0), ptNote);
    CPoint ptCommand(0, 0);
    ASSERT_TRUE(testsupport::RunInHelpMode(m_pFrame,
                                           { [ptNote] {
                                                testsupport::ClickAt(ptNote);
                                                return true;
                                            },
                                             [&ptCommand] {
                                                 CXTPPopupBar* pPopup = TrackedPopup();
                                                 if (pPopup == NULL || !pPopup->IsWindowVisible())
                                                     return false;
                                                 CXTPControl* pUpper =
                                                     pPopup->GetControls()->FindControl(ID_MDIFRAME_UPPERCASE);
                                                 if (pUpper == NULL)
                                                     return false;
                                                 ptCommand = PopupPoint(pPopup, pUpper);
                                                 testsupport::ClickAt(ptCommand);
                                                 return true;
                                             } },
                                           [] { Settle(20); }));
    ASSERT_EQ(1u, g_help.size());
    EXPECT_EQ(HID_BASE_COMMAND + ID_MDIFRAME_UPPERCASE, g_help[0].first);
    EXPECT_EQ((UINT)HELP_CONTEXT, g_help[0].second);
    EXPECT_EQ(0, pDoc->m_nUpperCase);
    // The menu closed: a second click where the command was runs nothing.
    EXPECT_TRUE(TrackedPopup() == NULL);
    Click(ptCommand);
    Settle(100);
    EXPECT_EQ(0, pDoc->m_nUpperCase);
    EXPECT_TRUE(TrackedPopup() == NULL);
    EXPECT_EQ(1u, g_help.size());
}

TEST_F(DocumentsTest, HelpModeOnADocumentsTabGivesThatDocumentsHelp)
{
    NewNote();
    NewSketch();
    HWND hNote1 = ChildOf("Note1");
    HWND hSketch1 = ChildOf("Sketch1");
    ASSERT_TRUE(hNote1 != NULL && hSketch1 != NULL);
    CPoint ptNote = TabPoint(hNote1);
    ASSERT_TRUE(testsupport::RunInHelpMode(m_pFrame,
                                           { [ptNote] {
                                               testsupport::ClickAt(ptNote);
                                               return true;
                                           } },
                                           [] { Settle(20); }));
    ASSERT_EQ(1u, g_help.size());
    EXPECT_EQ(HID_BASE_RESOURCE + IDR_MDIFRAME_NOTE, g_help[0].first);
    // The click only asked: the sketch stays the active document.
    EXPECT_EQ(hSketch1, ActiveChild());

    CPoint ptSketch = TabPoint(hSketch1);
    ASSERT_TRUE(testsupport::RunInHelpMode(m_pFrame,
                                           { [ptSketch] {
                                               testsupport::ClickAt(ptSketch);
                                               return true;
                                           } },
                                           [] { Settle(20); }));
    ASSERT_EQ(2u, g_help.size());
    EXPECT_EQ(HID_BASE_RESOURCE + IDR_MDIFRAME_SKETCH, g_help[1].first);

    // The strip beside the tabs is the tab client's: the frame's help, not
    // the help of a border.
    CXTPTabManager* pStrip = Client().GetWorkspace(0);
    CRect rcHeader = pStrip->GetHeaderRect();
    CPoint ptEmpty(rcHeader.right - 4, pStrip->GetItem(0)->GetRect().CenterPoint().y);
    ASSERT_TRUE(pStrip->HitTest(ptEmpty) == NULL);
    Client().ClientToScreen(&ptEmpty);
    ASSERT_TRUE(testsupport::RunInHelpMode(m_pFrame,
                                           { [ptEmpty] {
                                               testsupport::ClickAt(ptEmpty);
                                               return true;
                                           } },
                                           [] { Settle(20); }));
    ASSERT_EQ(3u, g_help.size());
    EXPECT_NE(HID_BASE_NCAREAS + HTBORDER, g_help[2].first);
    EXPECT_EQ(HID_BASE_RESOURCE + IDR_MDIFRAME_MAIN, g_help[2].first);
}

// The maximised child's system menu ------------------------------------------------

TEST_F(DocumentsTest, TheMaximisedChildsSystemMenuGreysWhatAMaximisedWindowCannotDo)
{
    NewNote();
    NewSketch();
    HWND hSketch1 = ChildOf("Sketch1");
    ASSERT_TRUE(hSketch1 != NULL);
    Click(FindNonClientPart(hSketch1, HTMAXBUTTON));
    BOOL bMaximized = FALSE;
    m_pFrame->MDIGetActive(&bMaximized);
    ASSERT_TRUE(bMaximized);

    Click(MenuBarPoint(XTP_ID_MENUBAR_SYSMENU));
    CXTPPopupBar* pPopup = TrackedPopup();
    ASSERT_TRUE(pPopup != NULL);
    struct
    {
        UINT nID;
        BOOL bEnabled;
    } expected[] = { { SC_RESTORE, TRUE },   { SC_MOVE, FALSE },     { SC_SIZE, FALSE },
                     { SC_MINIMIZE, TRUE },  { SC_MAXIMIZE, FALSE }, { SC_CLOSE, TRUE } };
    for (const auto& item : expected)
    {
        CXTPControl* pControl = pPopup->GetControls()->FindControl(item.nID);
        ASSERT_TRUE(pControl != NULL) << std::hex << item.nID;
        EXPECT_EQ(item.bEnabled, pControl->GetEnabled()) << std::hex << item.nID;
    }
    EXPECT_FALSE(testsupport::SaveScreenSnapshot(m_pFrame->m_hWnd, "maximised_system_menu").empty());
    // Move is greyed: a click on it does nothing.
    Click(PopupPoint(pPopup, pPopup->GetControls()->FindControl(SC_MOVE)));
    m_pFrame->MDIGetActive(&bMaximized);
    EXPECT_TRUE(bMaximized);
    XTPMouseManager()->CloseAllTracked();
    Settle();

    // Restored with Restore, the next time the menu opens from the system's
    // own ways; maximised again, the menu greys the same items again.
    Click(MenuBarPoint(XTP_ID_MENUBAR_SYSMENU));
    pPopup = TrackedPopup();
    ASSERT_TRUE(pPopup != NULL);
    Click(PopupPoint(pPopup, pPopup->GetControls()->FindControl(SC_RESTORE)));
    Settle();
    EXPECT_FALSE(::IsZoomed(hSketch1));
    m_pFrame->MDIMaximize(CWnd::FromHandle(hSketch1));
    Settle();
    Click(MenuBarPoint(XTP_ID_MENUBAR_SYSMENU));
    pPopup = TrackedPopup();
    ASSERT_TRUE(pPopup != NULL);
    EXPECT_FALSE(pPopup->GetControls()->FindControl(SC_MOVE)->GetEnabled());
    EXPECT_FALSE(pPopup->GetControls()->FindControl(SC_MAXIMIZE)->GetEnabled());
    EXPECT_TRUE(pPopup->GetControls()->FindControl(SC_RESTORE)->GetEnabled());
}
} // namespace

CDocumentsApp theApp;
::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new testsupport::Environment);
