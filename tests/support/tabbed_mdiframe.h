// A multiple-document program on the toolkit for tests driven by real keys
// and clicks: the class library's MDI frame with two document types (notes
// and sketches), the menu bar with its MDI buttons and per-type menus, the
// tabbed MDI client with tab groups, and F1 / Shift+F1 mapped as a program
// maps them. The runtime classes are defined here, so a test program
// includes this header in one of its sources only.
#pragma once

#include "support/mdidocs.h"
#include "support/wndtest.h"
#include "support/pump.h"
#include "support/keyinput.h"
#include "support/mouseinput.h"
#include "support/snapshot.h"
#include "support/trackedpopup.h"

#include <afxpriv.h>

#include <XTPTabClientWnd.h>
#include <XTPFrameWnd.h>
#include <XTPCommandBars.h>
#include <XTPMenuBar.h>
#include <XTPPopupBar.h>
#include <XTPControls.h>
#include <XTPControl.h>
#include <XTPPaintManager.h>
#include <XTPHookManager.h>

#include "mdiframe_res.h"

#include <gtest/gtest.h>

namespace mditest
{
using testsupport::CNoteDoc;
using testsupport::CSketchDoc;

// Paints its document's kind in a colour of its own and the title.
class CDocView : public CView
{
    DECLARE_DYNCREATE(CDocView)
public:
    virtual void OnDraw(CDC* pDC)
    {
        CRect rc;
        GetClientRect(&rc);
        BOOL bNote = GetDocument() != NULL && GetDocument()->IsKindOf(RUNTIME_CLASS(CNoteDoc));
        pDC->FillSolidRect(rc, bNote ? RGB(255, 250, 205) : RGB(205, 230, 255));
        if (GetDocument() != NULL)
            pDC->TextOut(8, 8, GetDocument()->GetTitle());
    }
};
IMPLEMENT_DYNCREATE(CDocView, CView)

class CChildFrame : public CMDIChildWnd
{
    DECLARE_DYNCREATE(CChildFrame)
};
IMPLEMENT_DYNCREATE(CChildFrame, CMDIChildWnd)

class CMainFrame : public CXTPMDIFrameWnd
{
    DECLARE_DYNCREATE(CMainFrame)
public:
    CMainFrame()
    {
        ACCEL keys[] = { { FVIRTKEY, VK_F1, ID_HELP }, { FVIRTKEY | FSHIFT, VK_F1, ID_CONTEXT_HELP } };
        m_hHelpKeys = ::CreateAcceleratorTable(keys, 2);
    }
    virtual ~CMainFrame() { ::DestroyAcceleratorTable(m_hHelpKeys); }

    CXTPTabClientWnd m_wndClient;
    CMultiDocTemplate* m_pNoteTemplate = NULL;
    CMultiDocTemplate* m_pSketchTemplate = NULL;
    HACCEL m_hHelpKeys = NULL;

    virtual BOOL PreTranslateMessage(MSG* pMsg)
    {
        if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && m_hWnd != NULL &&
            ::TranslateAccelerator(m_hWnd, m_hHelpKeys, pMsg))
            return TRUE;
        return CXTPMDIFrameWnd::PreTranslateMessage(pMsg);
    }
    afx_msg int OnCreate(LPCREATESTRUCT lpcs)
    {
        if (CXTPMDIFrameWnd::OnCreate(lpcs) == -1)
            return -1;
        if (!InitCommandBars())
            return -1;
        CXTPMenuBar* pMenuBar = m_pCommandBars->CreateMenuBar(_T("Menu Bar"), IDR_MDIFRAME_MAIN);
        if (pMenuBar == NULL)
            return -1;
        pMenuBar->SetFlags(xtpFlagAddMDISysPopup);
        if (!m_wndClient.Attach(this, TRUE))
            return -1;
        return 0;
    }
    afx_msg void OnNewNote() { m_pNoteTemplate->OpenDocumentFile(NULL); }
    afx_msg void OnNewSketch() { m_pSketchTemplate->OpenDocumentFile(NULL); }
    // The bars are customizable, so each document type keeps its own menu.
    afx_msg void OnCustomize() {}
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CMainFrame, CXTPMDIFrameWnd)
BEGIN_MESSAGE_MAP(CMainFrame, CXTPMDIFrameWnd)
    ON_WM_CREATE()
    ON_COMMAND(ID_MDIFRAME_NEWNOTE, OnNewNote)
    ON_COMMAND(ID_MDIFRAME_NEWSKETCH, OnNewSketch)
    ON_COMMAND(XTP_ID_CUSTOMIZE, OnCustomize)
    ON_COMMAND(ID_HELP, OnHelp)
    ON_COMMAND(ID_CONTEXT_HELP, OnContextHelp)
END_MESSAGE_MAP()

// Dispatches what is queued through the walk and runs the idle passes, for
// about nMilliseconds.
inline void Settle(DWORD nMilliseconds = 60)
{
    DWORD dwStart = ::GetTickCount();
    do
    {
        testsupport::PumpPending();
        AfxGetApp()->OnIdle(0);
        AfxGetApp()->OnIdle(1);
        ::Sleep(5);
    } while (::GetTickCount() - dwStart < nMilliseconds);
    testsupport::PumpPending();
    AfxGetApp()->OnIdle(0);
}

inline void MoveTo(CPoint ptScreen)
{
    ::SetCursorPos(ptScreen.x, ptScreen.y);
    testsupport::SendInputs({ testsupport::MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, ptScreen) });
    Settle();
}

inline void Click(CPoint ptScreen)
{
    ::SetCursorPos(ptScreen.x, ptScreen.y);
    testsupport::SendInputs({ testsupport::MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, ptScreen) });
    Settle(30);
    testsupport::SendInputs({ testsupport::MouseInput(MOUSEEVENTF_LEFTDOWN), testsupport::MouseInput(MOUSEEVENTF_LEFTUP) });
    Settle();
}

inline void Keys(std::initializer_list<WORD> keys)
{
    for (WORD vk : keys)
    {
        testsupport::PressKey(vk);
        Settle(30);
    }
    Settle();
}

inline void CtrlKey(WORD vk, BOOL bShift = FALSE)
{
    testsupport::SendKey(VK_CONTROL, FALSE);
    if (bShift)
        testsupport::SendKey(VK_SHIFT, FALSE);
    testsupport::PressKey(vk);
    if (bShift)
        testsupport::SendKey(VK_SHIFT, TRUE);
    testsupport::SendKey(VK_CONTROL, TRUE);
    Settle();
}

// Alt+letter opens a menu of the menu bar.
inline void AltKey(WORD vk)
{
    testsupport::PressAltWith(vk);
    Settle();
}

inline CString Title(HWND hWnd)
{
    CString str;
    CWnd::FromHandle(hWnd)->GetWindowText(str);
    return str;
}

// The popup bar tracked last (the innermost open popup), or NULL.
inline CXTPPopupBar* TrackedPopup()
{
    return testsupport::InnermostTrackedPopup();
}

// A shown frame at 20,20 of the size given, with the two document templates,
// in the foreground.
class TabbedMDIFrameTest : public ::testing::Test
{
protected:
    void SetUp() override { OpenFrame(CSize(760, 560)); }

    void OpenFrame(CSize szFrame)
    {
        CXTPPaintManager::SetTheme(xtpThemeOffice2003);
        CXTPPaintManager::GetGlobalPaintManager()->EnableShadow(FALSE);
        CXTPPaintManager::GetGlobalPaintManager()->m_bEnableAnimation = FALSE;
        m_pFrame = new CMainFrame;
        m_pFrame->m_pNoteTemplate = new CMultiDocTemplate(IDR_MDIFRAME_NOTE, RUNTIME_CLASS(CNoteDoc),
                                                          RUNTIME_CLASS(CChildFrame), RUNTIME_CLASS(CDocView));
        m_pFrame->m_pSketchTemplate = new CMultiDocTemplate(IDR_MDIFRAME_SKETCH, RUNTIME_CLASS(CSketchDoc),
                                                            RUNTIME_CLASS(CChildFrame), RUNTIME_CLASS(CDocView));
        AfxGetApp()->AddDocTemplate(m_pFrame->m_pNoteTemplate);
        AfxGetApp()->AddDocTemplate(m_pFrame->m_pSketchTemplate);
        ASSERT_TRUE(m_pFrame->LoadFrame(IDR_MDIFRAME_MAIN));
        AfxGetApp()->m_pMainWnd = m_pFrame;
        m_pFrame->SetWindowPos(NULL, 20, 20, szFrame.cx, szFrame.cy, SWP_NOZORDER);
        m_pFrame->ShowWindow(SW_SHOWNORMAL);
        m_pFrame->SetForegroundWindow();
        m_pFrame->UpdateWindow();
        Settle();
        m_pMenuBar = m_pFrame->GetCommandBars()->GetMenuBar();
        ASSERT_TRUE(m_pMenuBar != NULL);
    }

    void TearDown() override
    {
        XTPMouseManager()->CloseAllTracked();
        Settle(10);
        if (m_pFrame != NULL && ::IsWindow(m_pFrame->m_hWnd))
            m_pFrame->DestroyWindow();
        testsupport::DrainQuit();
        // The templates go with the program's list.
        CWinApp* pApp = AfxGetApp();
        while (!pApp->m_templateList.IsEmpty())
            delete (CDocTemplate*)pApp->m_templateList.RemoveHead();
        pApp->m_pMainWnd = NULL;
    }

    // File > New Note / New Sketch through the menu bar's keys.
    void NewNote()
    {
        AltKey('F');
        Keys({ 'N' });
    }
    void NewSketch()
    {
        AltKey('F');
        Keys({ 'S' });
    }

    CXTPTabClientWnd& Client() { return m_pFrame->m_wndClient; }

    HWND ActiveChild()
    {
        CMDIChildWnd* pChild = m_pFrame->MDIGetActive();
        return pChild != NULL ? pChild->m_hWnd : NULL;
    }
    CString ActiveTitle()
    {
        HWND hWnd = ActiveChild();
        return hWnd != NULL ? Title(hWnd) : CString();
    }

    // The screen point of a control of the menu bar.
    CPoint MenuBarPoint(int nID)
    {
        CXTPControl* pControl = m_pMenuBar->GetControls()->FindControl(nID);
        EXPECT_TRUE(pControl != NULL) << nID;
        if (pControl == NULL)
            return CPoint(0, 0);
        CPoint pt = pControl->GetRect().CenterPoint();
        m_pMenuBar->ClientToScreen(&pt);
        return pt;
    }

    BOOL MenuBarHas(LPCTSTR lpszCaption)
    {
        for (int i = 0; i < m_pMenuBar->GetControlCount(); i++)
        {
            if (m_pMenuBar->GetControl(i)->GetCaption() == lpszCaption && m_pMenuBar->GetControl(i)->IsVisible())
                return TRUE;
        }
        return FALSE;
    }

    // The screen point of a tab.
    CPoint TabPoint(HWND hWndChild)
    {
        CXTPTabManagerItem* pItem = Client().FindItem(hWndChild);
        EXPECT_TRUE(pItem != NULL);
        if (pItem == NULL)
            return CPoint(0, 0);
        CPoint pt = pItem->GetRect().CenterPoint();
        Client().ClientToScreen(&pt);
        return pt;
    }

    // The screen point of a control of a popup bar.
    static CPoint PopupPoint(CXTPPopupBar* pPopup, CXTPControl* pControl)
    {
        CPoint pt = pControl->GetRect().CenterPoint();
        pPopup->ClientToScreen(&pt);
        return pt;
    }

    HWND ChildOf(LPCTSTR lpszTitle)
    {
        for (HWND hWnd = ::GetWindow(m_pFrame->m_hWndMDIClient, GW_CHILD); hWnd != NULL;
             hWnd = ::GetWindow(hWnd, GW_HWNDNEXT))
        {
            if (Title(hWnd) == lpszTitle)
                return hWnd;
        }
        return NULL;
    }

    // The client area of the MDI client on the screen: what the strip leaves.
    CRect ClientAreaOnScreen()
    {
        CRect rc;
        Client().GetClientRect(&rc);
        Client().ClientToScreen(&rc);
        return rc;
    }

    static CRect WindowOnScreen(HWND hWnd)
    {
        CRect rc;
        ::GetWindowRect(hWnd, &rc);
        return rc;
    }

    CMainFrame* m_pFrame = NULL;
    CXTPMenuBar* m_pMenuBar = NULL;
};
} // namespace mditest
