// Multiple-document frames: the MDI client in the room the bars leave,
// documents with their child frames from the multi-document template, the
// active child, command routing, per-type menus, the Window menu's commands
// and closing.
#include "support/mdidocs.h"
#include "support/pump.h"
#include "support/wndtest.h"
#include "resource.h"
#include "mdiframe_res.h"

#include <gtest/gtest.h>

using namespace testsupport;

namespace
{
CWinApp theApp;
::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new Environment);

// A bar along the top: the client must take the room below it.
class CTopBar : public CControlBar
{
public:
    virtual CSize CalcFixedLayout(BOOL, BOOL) { return CSize(32767, 30); }
    virtual void OnUpdateCmdUI(CFrameWnd*, BOOL) {}
};

class MDIFrameTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pNotes = new CMultiDocTemplate(IDR_MDIFRAME_NOTE, RUNTIME_CLASS(CNoteDoc), RUNTIME_CLASS(CMDIChildWnd),
                                         RUNTIME_CLASS(CPlainView));
        m_pSketches = new CMultiDocTemplate(IDR_MDIFRAME_SKETCH, RUNTIME_CLASS(CSketchDoc),
                                            RUNTIME_CLASS(CMDIChildWnd), RUNTIME_CLASS(CPlainView));
        theApp.AddDocTemplate(m_pNotes);
        theApp.AddDocTemplate(m_pSketches);
        m_pFrame = new CMDIFrameWnd;
        ASSERT_TRUE(m_pFrame->LoadFrame(IDR_MDIFRAME_MAIN));
        theApp.m_pMainWnd = m_pFrame;
        m_pFrame->SetWindowPos(NULL, 10, 10, 640, 480, SWP_NOZORDER);
        m_pFrame->ShowWindow(SW_SHOWNORMAL);
        PumpPending();
    }
    void TearDown() override
    {
        if (::IsWindow(m_hWndFrame))
            m_pFrame->DestroyWindow();
        DrainQuit();
        while (!theApp.m_templateList.IsEmpty())
            delete (CDocTemplate*)theApp.m_templateList.RemoveHead();
        theApp.m_pMainWnd = NULL;
        Boxes().texts.clear();
    }

    int CountChildren()
    {
        int nCount = 0;
        for (HWND hWnd = ::GetWindow(m_pFrame->m_hWndMDIClient, GW_CHILD); hWnd != NULL;
             hWnd = ::GetWindow(hWnd, GW_HWNDNEXT))
        {
            if (::GetWindow(hWnd, GW_OWNER) == NULL)
                nCount++;
        }
        return nCount;
    }
    CString Text(CWnd* pWnd)
    {
        CString str;
        pWnd->GetWindowText(str);
        return str;
    }

    CMultiDocTemplate* m_pNotes = NULL;
    CMultiDocTemplate* m_pSketches = NULL;
    CMDIFrameWnd* m_pFrame = NULL;
    HWND m_hWndFrame = NULL;
};

TEST_F(MDIFrameTest, DocumentsOpenInChildFramesOfTheClientWhichTakesTheRoomTheBarsLeave)
{
    m_hWndFrame = m_pFrame->m_hWnd;
    ASSERT_TRUE(::IsWindow(m_pFrame->m_hWndMDIClient));
    EXPECT_EQ(AFX_IDW_PANE_FIRST, ::GetDlgCtrlID(m_pFrame->m_hWndMDIClient));
    EXPECT_TRUE(m_pFrame->MDIGetActive() == NULL);
    EXPECT_EQ(m_pFrame, m_pFrame->GetActiveFrame());

    CTopBar bar;
    ASSERT_TRUE(bar.CWnd::Create(NULL, NULL, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), m_pFrame, AFX_IDW_TOOLBAR));
    bar.m_dwStyle = CBRS_TOP;
    m_pFrame->RecalcLayout();
    CRect rcClient, rcMDI;
    m_pFrame->GetClientRect(&rcClient);
    ::GetWindowRect(m_pFrame->m_hWndMDIClient, &rcMDI);
    m_pFrame->ScreenToClient(&rcMDI);
    EXPECT_EQ(30, rcMDI.top);
    EXPECT_EQ(rcClient.bottom, rcMDI.bottom);
    // A resize keeps the client below the bar (the default would cover it).
    m_pFrame->SetWindowPos(NULL, 0, 0, 600, 400, SWP_NOMOVE | SWP_NOZORDER);
    ::GetWindowRect(m_pFrame->m_hWndMDIClient, &rcMDI);
    m_pFrame->ScreenToClient(&rcMDI);
    EXPECT_EQ(30, rcMDI.top);

    CDocument* pFirst = m_pNotes->OpenDocumentFile(NULL);
    CDocument* pSecond = m_pNotes->OpenDocumentFile(NULL);
    CDocument* pSketch = m_pSketches->OpenDocumentFile(NULL);
    ASSERT_TRUE(pFirst != NULL && pSecond != NULL && pSketch != NULL);
    EXPECT_EQ(CString("Note1"), pFirst->GetTitle());
    EXPECT_EQ(CString("Note2"), pSecond->GetTitle());
    EXPECT_EQ(CString("Sketch1"), pSketch->GetTitle());
    EXPECT_EQ(3, CountChildren());

    // The newest is active, with its view and document; the frame's title
    // names it.
    CMDIChildWnd* pActive = m_pFrame->MDIGetActive();
    ASSERT_TRUE(pActive != NULL);
    EXPECT_EQ(pSketch, pActive->GetActiveDocument());
    EXPECT_EQ(pActive, m_pFrame->GetActiveFrame());
    EXPECT_EQ(m_pFrame, pActive->GetMDIFrame());
    EXPECT_EQ(CString("Sketch1"), Text(pActive));
    theApp.OnIdle(0);
    EXPECT_EQ(CString("Sketch1 - Documents"), Text(m_pFrame));
    bar.DestroyWindow();
}

TEST_F(MDIFrameTest, CommandsReachTheActiveDocumentAndTheMenuFollowsItsType)
{
    m_hWndFrame = m_pFrame->m_hWnd;
    HMENU hMain = ::GetMenu(m_pFrame->m_hWnd);
    ASSERT_TRUE(hMain != NULL);
    EXPECT_EQ(hMain, m_pFrame->m_hMenuDefault);

    CNoteDoc* pNote = (CNoteDoc*)m_pNotes->OpenDocumentFile(NULL);
    ASSERT_TRUE(pNote != NULL);
    EXPECT_EQ(m_pNotes->m_hMenuShared, ::GetMenu(m_pFrame->m_hWnd));
    m_pFrame->SendMessage(WM_COMMAND, ID_MDIFRAME_UPPERCASE);
    EXPECT_EQ(1, pNote->m_nUpperCase);

    CDocument* pSketch = m_pSketches->OpenDocumentFile(NULL);
    ASSERT_TRUE(pSketch != NULL);
    EXPECT_EQ(m_pSketches->m_hMenuShared, ::GetMenu(m_pFrame->m_hWnd));
    // The note is not active: its command does not reach it.
    m_pFrame->SendMessage(WM_COMMAND, ID_MDIFRAME_UPPERCASE);
    EXPECT_EQ(1, pNote->m_nUpperCase);

    // Back to the note: its menu again.
    POSITION pos = pNote->GetFirstViewPosition();
    CMDIChildWnd* pNoteFrame = (CMDIChildWnd*)pNote->GetNextView(pos)->GetParentFrame();
    m_pFrame->MDIActivate(pNoteFrame);
    EXPECT_EQ(pNote, m_pFrame->MDIGetActive()->GetActiveDocument());
    EXPECT_EQ(m_pNotes->m_hMenuShared, ::GetMenu(m_pFrame->m_hWnd));

    // The Window menu's commands are enabled while a child is open.
    CTestCmdUI state;
    state.m_nID = ID_WINDOW_CASCADE;
    m_pFrame->OnCmdMsg(ID_WINDOW_CASCADE, CN_UPDATE_COMMAND_UI, &state, NULL);
    EXPECT_TRUE(state.m_bEnabled);

    // Closing every document brings the frame's own menu back.
    m_pFrame->SendMessage(WM_COMMAND, ID_FILE_CLOSE);
    m_pFrame->SendMessage(WM_COMMAND, ID_FILE_CLOSE);
    PumpPending();
    EXPECT_EQ(0, CountChildren());
    EXPECT_TRUE(m_pFrame->MDIGetActive() == NULL);
    EXPECT_EQ(hMain, ::GetMenu(m_pFrame->m_hWnd));
    EXPECT_TRUE(m_pNotes->GetFirstDocPosition() == NULL);
    EXPECT_TRUE(m_pSketches->GetFirstDocPosition() == NULL);
    state.m_bEnabled = TRUE;
    m_pFrame->OnCmdMsg(ID_WINDOW_CASCADE, CN_UPDATE_COMMAND_UI, &state, NULL);
    EXPECT_FALSE(state.m_bEnabled);
}

TEST_F(MDIFrameTest, TheWindowMenuTilesMaximisesAndOpensASecondWindowOnADocument)
{
    m_hWndFrame = m_pFrame->m_hWnd;
    CDocument* pNote = m_pNotes->OpenDocumentFile(NULL);
    CDocument* pSketch = m_pSketches->OpenDocumentFile(NULL);
    ASSERT_TRUE(pNote != NULL && pSketch != NULL);
    CMDIChildWnd* pSketchFrame = m_pFrame->MDIGetActive();

    // Tiled side by side: two children of the client's height, apart.
    m_pFrame->SendMessage(WM_COMMAND, ID_WINDOW_TILE_VERT);
    CRect rcClient;
    ::GetClientRect(m_pFrame->m_hWndMDIClient, &rcClient);
    for (HWND hWnd = ::GetWindow(m_pFrame->m_hWndMDIClient, GW_CHILD); hWnd != NULL;
         hWnd = ::GetWindow(hWnd, GW_HWNDNEXT))
    {
        CRect rc;
        ::GetWindowRect(hWnd, &rc);
        EXPECT_LE(rc.Width(), rcClient.Width() / 2 + 2);
        EXPECT_GE(rc.Height(), rcClient.Height() - 2);
    }

    // Maximised, and MDIGetActive says so; restored again.
    m_pFrame->MDIMaximize(pSketchFrame);
    BOOL bMaximized = FALSE;
    EXPECT_EQ(pSketchFrame, m_pFrame->MDIGetActive(&bMaximized));
    EXPECT_TRUE(bMaximized);
    // A new document opens maximised too.
    CDocument* pNote2 = m_pNotes->OpenDocumentFile(NULL);
    ASSERT_TRUE(pNote2 != NULL);
    CMDIChildWnd* pNote2Frame = m_pFrame->MDIGetActive(&bMaximized);
    EXPECT_EQ(pNote2, pNote2Frame->GetActiveDocument());
    EXPECT_TRUE(bMaximized);
    m_pFrame->MDIRestore(pNote2Frame);
    m_pFrame->MDIGetActive(&bMaximized);
    EXPECT_FALSE(bMaximized);

    // Ctrl+F6's command: the next child, then back.
    m_pFrame->MDINext();
    EXPECT_NE(pNote2Frame, m_pFrame->MDIGetActive());
    m_pFrame->MDIPrev();
    EXPECT_EQ(pNote2Frame, m_pFrame->MDIGetActive());

    // New Window: a second frame on the active document, both numbered.
    m_pFrame->SendMessage(WM_COMMAND, ID_WINDOW_NEW);
    CMDIChildWnd* pSecondWindow = m_pFrame->MDIGetActive();
    ASSERT_TRUE(pSecondWindow != NULL && pSecondWindow != pNote2Frame);
    EXPECT_EQ(pNote2, pSecondWindow->GetActiveDocument());
    EXPECT_EQ(CString("Note2:2"), Text(pSecondWindow));
    EXPECT_EQ(CString("Note2:1"), Text(pNote2Frame));
    // Closing one window keeps the document; the other loses its number.
    pSecondWindow->SendMessage(WM_CLOSE);
    PumpPending();
    EXPECT_EQ(pNote2, pNote2Frame->GetActiveDocument());
    EXPECT_EQ(CString("Note2"), Text(pNote2Frame));

    // The Window menu's list of children activates by its ids.
    m_pFrame->SendMessage(WM_COMMAND, AFX_IDM_FIRST_MDICHILD);
    EXPECT_NE(pNote2Frame, m_pFrame->MDIGetActive());
}

TEST_F(MDIFrameTest, AChildFrameWithoutAnMDIFrameFailsCleanly)
{
    m_hWndFrame = m_pFrame->m_hWnd;
    theApp.m_pMainWnd = NULL;
    CMDIChildWnd* pChild = new CMDIChildWnd;
    // No MDI frame to hold it: creation fails and the object deletes itself.
    EXPECT_FALSE(pChild->Create(NULL, "orphan"));
    theApp.m_pMainWnd = m_pFrame;
}
} // namespace
