// File New in an application with several document templates: the "New"
// dialog lists the templates' file-new names and makes a document of the
// kind chosen, driven here by the keys and clicks a player would use.
// ctest: run-serial (keyboard focus and the foreground window)
#include "support/mdidocs.h"
#include "support/modal.h"
#include "support/pump.h"
#include "support/snapshot.h"
#include "support/wndtest.h"
#include "resource.h"
#include "mdiframe_res.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace testsupport;

namespace
{
CWinApp theApp;
::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new Environment);

class CPlainDoc : public CDocument
{
    DECLARE_DYNCREATE(CPlainDoc)
};
IMPLEMENT_DYNCREATE(CPlainDoc, CDocument)

// What the dialog showed when it came up.
struct DialogSeen
{
    HWND hDlg = NULL;
    std::string strCaption;
    std::vector<std::string> items;
    int nSel = -1;
    bool bFocusInList = false;
    std::string strOK, strCancel;
    CRect rcDlg;
};

void PostKey(HWND hWnd, WPARAM vk)
{
    ::PostMessage(hWnd, WM_KEYDOWN, vk, 1);
    ::PostMessage(hWnd, WM_KEYUP, vk, 0xC0000001);
}

class FileNewTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pFrame = new CMDIFrameWnd;
        ASSERT_TRUE(m_pFrame->LoadFrame(IDR_MDIFRAME_MAIN));
        m_hWndFrame = m_pFrame->m_hWnd;
        theApp.m_pMainWnd = m_pFrame;
        m_pFrame->SetWindowPos(NULL, 40, 30, 640, 480, SWP_NOZORDER);
        m_pFrame->ShowWindow(SW_SHOWNORMAL);
        ::SetForegroundWindow(m_hWndFrame);
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

    CMultiDocTemplate* AddNotes()
    {
        CMultiDocTemplate* p = new CMultiDocTemplate(IDR_MDIFRAME_NOTE, RUNTIME_CLASS(CNoteDoc),
                                                     RUNTIME_CLASS(CMDIChildWnd), RUNTIME_CLASS(CPlainView));
        theApp.AddDocTemplate(p);
        return p;
    }
    CMultiDocTemplate* AddSketches()
    {
        CMultiDocTemplate* p = new CMultiDocTemplate(IDR_MDIFRAME_SKETCH, RUNTIME_CLASS(CSketchDoc),
                                                     RUNTIME_CLASS(CMDIChildWnd), RUNTIME_CLASS(CPlainView));
        theApp.AddDocTemplate(p);
        return p;
    }
    // A template whose document string has no file-new name.
    CMultiDocTemplate* AddNameless()
    {
        CMultiDocTemplate* p = new CMultiDocTemplate(IDR_MDIFRAME_MAIN, RUNTIME_CLASS(CPlainDoc),
                                                     RUNTIME_CLASS(CMDIChildWnd), RUNTIME_CLASS(CPlainView));
        theApp.AddDocTemplate(p);
        return p;
    }

    // Runs File New; when a dialog comes up, records it and hands it to
    // pfnDrive. Returns whether a dialog came.
    bool FileNew(DialogSeen& seen, std::function<void(HWND)> pfnDrive)
    {
        ModalDriver driver([&](HWND hDlg) {
            ModalDriver::ShowNow(hDlg);
            seen.hDlg = hDlg;
            char sz[256] = "";
            ::GetWindowTextA(hDlg, sz, sizeof(sz));
            seen.strCaption = sz;
            ::GetDlgItemTextA(hDlg, IDOK, sz, sizeof(sz));
            seen.strOK = sz;
            ::GetDlgItemTextA(hDlg, IDCANCEL, sz, sizeof(sz));
            seen.strCancel = sz;
            HWND hFocus = ::GetFocus();
            char szClass[32] = "";
            if (hFocus != NULL)
                ::GetClassNameA(hFocus, szClass, sizeof(szClass));
            seen.bFocusInList = ::GetParent(hFocus) == hDlg && lstrcmpiA(szClass, "ListBox") == 0;
            if (seen.bFocusInList)
            {
                int nCount = (int)::SendMessage(hFocus, LB_GETCOUNT, 0, 0);
                for (int i = 0; i < nCount; i++)
                {
                    ::SendMessageA(hFocus, LB_GETTEXT, i, (LPARAM)sz);
                    seen.items.push_back(sz);
                }
                seen.nSel = (int)::SendMessage(hFocus, LB_GETCURSEL, 0, 0);
            }
            ::GetWindowRect(hDlg, &seen.rcDlg);
            pfnDrive(hDlg);
        });
        theApp.OnFileNew();
        PumpPending();
        return driver.HasRun();
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
    CDocument* ActiveDocument()
    {
        CMDIChildWnd* pChild = m_pFrame->MDIGetActive();
        return pChild != NULL ? pChild->GetActiveDocument() : NULL;
    }

    CMDIFrameWnd* m_pFrame = NULL;
    HWND m_hWndFrame = NULL;
};

TEST_F(FileNewTest, SeveralKindsAskInTheNewDialogAndTheKindChosenByKeysIsMade)
{
    AddNotes();
    AddSketches();
    AddNameless();

    DialogSeen seen;
    ASSERT_TRUE(FileNew(seen, [](HWND hDlg) {
        SaveWindowSnapshot(hDlg, "new_dialog");
        // Down to the second kind, then Enter, to the control with the focus.
        HWND hFocus = ::GetFocus();
        PostKey(hFocus, VK_DOWN);
        PostKey(hFocus, VK_RETURN);
    }));
    EXPECT_EQ("New", seen.strCaption);
    EXPECT_EQ("OK", seen.strOK);
    EXPECT_EQ("Cancel", seen.strCancel);
    EXPECT_TRUE(seen.bFocusInList);
    // The template without a file-new name is not offered.
    EXPECT_EQ((std::vector<std::string>{"Note", "Sketch"}), seen.items);
    EXPECT_EQ(0, seen.nSel);
    // Centred over the main window.
    CRect rcFrame;
    m_pFrame->GetWindowRect(&rcFrame);
    EXPECT_NEAR(rcFrame.CenterPoint().x, seen.rcDlg.CenterPoint().x, 2);
    EXPECT_NEAR(rcFrame.CenterPoint().y, seen.rcDlg.CenterPoint().y, 2);

    // The dialog has gone and the frame is usable again.
    EXPECT_FALSE(::IsWindow(seen.hDlg));
    EXPECT_TRUE(m_pFrame->IsWindowEnabled());
    ASSERT_EQ(1, CountChildren());
    CDocument* pDoc = ActiveDocument();
    ASSERT_TRUE(pDoc != NULL);
    EXPECT_TRUE(pDoc->IsKindOf(RUNTIME_CLASS(CSketchDoc)));
    EXPECT_EQ(CString("Sketch1"), pDoc->GetTitle());
    EXPECT_TRUE(Boxes().texts.empty());
}

TEST_F(FileNewTest, EscapeAndCancelMakeNothingAndADoubleClickChoosesTheKindUnderIt)
{
    AddNotes();
    AddSketches();

    DialogSeen seen;
    ASSERT_TRUE(FileNew(seen, [](HWND) { PostKey(::GetFocus(), VK_ESCAPE); }));
    EXPECT_EQ(0, CountChildren());
    EXPECT_FALSE(::IsWindow(seen.hDlg));
    EXPECT_TRUE(m_pFrame->IsWindowEnabled());

    DialogSeen cancelled;
    ASSERT_TRUE(FileNew(cancelled, [](HWND hDlg) { ModalDriver::Press(hDlg, IDCANCEL); }));
    EXPECT_EQ(0, CountChildren());
    EXPECT_TRUE(Boxes().texts.empty());

    // A double click on the second name: the pointer's messages to the list.
    DialogSeen clicked;
    ASSERT_TRUE(FileNew(clicked, [](HWND) {
        HWND hList = ::GetFocus();
        RECT rcItem;
        ::SendMessage(hList, LB_GETITEMRECT, 1, (LPARAM)&rcItem);
        LPARAM lPos = MAKELPARAM((rcItem.left + rcItem.right) / 2, (rcItem.top + rcItem.bottom) / 2);
        ::PostMessage(hList, WM_LBUTTONDOWN, MK_LBUTTON, lPos);
        ::PostMessage(hList, WM_LBUTTONUP, 0, lPos);
        ::PostMessage(hList, WM_LBUTTONDBLCLK, MK_LBUTTON, lPos);
        ::PostMessage(hList, WM_LBUTTONUP, 0, lPos);
    }));
    ASSERT_EQ(1, CountChildren());
    ASSERT_TRUE(ActiveDocument() != NULL);
    EXPECT_TRUE(ActiveDocument()->IsKindOf(RUNTIME_CLASS(CSketchDoc)));
}

TEST_F(FileNewTest, OneKindToOfferOpensAtOnce)
{
    // One template.
    AddSketches();
    DialogSeen seen;
    EXPECT_FALSE(FileNew(seen, [](HWND hDlg) { ModalDriver::Press(hDlg, IDCANCEL); }));
    ASSERT_EQ(1, CountChildren());
    EXPECT_TRUE(ActiveDocument()->IsKindOf(RUNTIME_CLASS(CSketchDoc)));

    // Two templates, but only one with a file-new name: that one, at once.
    while (!theApp.m_templateList.IsEmpty())
    {
        CDocTemplate* pTemplate = (CDocTemplate*)theApp.m_templateList.RemoveHead();
        pTemplate->CloseAllDocuments(FALSE);
        delete pTemplate;
    }
    PumpPending();
    AddNameless();
    AddNotes();
    DialogSeen second;
    EXPECT_FALSE(FileNew(second, [](HWND hDlg) { ModalDriver::Press(hDlg, IDCANCEL); }));
    ASSERT_EQ(1, CountChildren());
    EXPECT_TRUE(ActiveDocument()->IsKindOf(RUNTIME_CLASS(CNoteDoc)));
}
} // namespace
