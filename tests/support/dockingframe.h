// A frame with a view and a docking-pane manager for the docking tests: it
// records the manager's notifications, attaches a window to a pane that asks
// for one, and can vote on actions and closes. Also draws the frame's
// docking windows into a canvas through the paint manager.
#pragma once

#include "support/canvas.h"
#include "support/pump.h"

#include <XTPColorManager.h>
#include <XTPDockingPaneAutoHidePanel.h>
#include <XTPDockingPaneContext.h>
#include <XTPDockingPaneContextStickerWnd.h>
#include <XTPDockingPaneManager.h>
#include <XTPDockingPaneMiniWnd.h>
#include <XTPDockingPanePaintManager.h>
#include <XTPDockingPaneSplitterContainer.h>
#include <XTPDockingPaneTabbedContainer.h>
#include <afxpriv.h>
#include <gtest/gtest.h>

#include <map>
#include <ostream>
#include <vector>

// Rectangles in test failures as their four edges.
inline void PrintTo(const CRect& rc, std::ostream* os)
{
    *os << "(" << rc.left << ", " << rc.top << ", " << rc.right << ", " << rc.bottom << ")";
}

namespace testsupport
{
using Canvas = testsupport::Canvas;

class CDockingTestView : public CView
{
    DECLARE_DYNCREATE(CDockingTestView)
public:
    virtual void OnDraw(CDC*) {}
};

// Gives the frame a test view and attaches the manager to it; FALSE when
// either fails.
inline BOOL CreateViewAndAttach(CFrameWnd* pFrame, CXTPDockingPaneManager& manager)
{
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(CDockingTestView);
    if (pFrame->CreateView(&context) == NULL)
        return FALSE;
    return manager.AttachToSite(pFrame);
}

// One notification as the frame received it.
struct DockingNotification
{
    WPARAM nCode;
    LPARAM lParam;
    int nAction;   // the action of XTP_DPN_ACTION, else -1
    CXTPDockingPane* pPane;
    XTP_DOCKINGPANE_CLICK click;   // the record of XTP_DPN_CONTEXTMENU
    CXTPDockingPaneBase* pTarget;  // the action's target container and side
    int nDirection;
};

class CDockingTestFrame : public CFrameWnd
{
public:
    CDockingTestFrame() {}

    // Creates the frame (a popup of the client size given), its view and
    // the attached manager; the manager's theme is not changed.
    BOOL CreateWithManager(CSize szClient = CSize(640, 480))
    {
        CRect rc(0, 0, szClient.cx, szClient.cy);
        if (!Create(NULL, "docking", WS_POPUP | WS_CLIPCHILDREN, rc))
            return FALSE;
        if (!CreateViewAndAttach(this, m_paneManager))
            return FALSE;
        RecalcLayout();
        return TRUE;
    }

    CView* GetView() { return (CView*)GetDescendantWindow(AFX_IDW_PANE_FIRST, TRUE); }

    // The notifications of one code.
    std::vector<DockingNotification> Notifications(WPARAM nCode) const
    {
        std::vector<DockingNotification> result;
        for (const DockingNotification& n : m_notifications)
        {
            if (n.nCode == nCode)
                result.push_back(n);
        }
        return result;
    }
    // The first notification of an action for a pane (null: any pane), or null.
    const DockingNotification* FindAction(int nAction, CXTPDockingPane* pPane = NULL) const
    {
        for (const DockingNotification& n : m_notifications)
        {
            if (n.nCode == XTP_DPN_ACTION && n.nAction == nAction && (pPane == NULL || n.pPane == pPane))
                return &n;
        }
        return NULL;
    }
    std::vector<int> Actions() const
    {
        std::vector<int> result;
        for (const DockingNotification& n : m_notifications)
        {
            if (n.nCode == XTP_DPN_ACTION)
                result.push_back(n.nAction);
        }
        return result;
    }

    CXTPDockingPaneManager m_paneManager;
    std::vector<DockingNotification> m_notifications;
    std::map<int, CWnd*> m_paneWindows;   // hosted windows by pane id
    BOOL m_bAttachWindows = TRUE;
    int m_nVetoAction = -1;               // an action the frame vetoes
    LRESULT m_nCloseAnswer = 0;           // the answer to XTP_DPN_CLOSEPANE
    LRESULT m_nContextMenuAnswer = 0;     // the answer to XTP_DPN_CONTEXTMENU

protected:
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
    {
        if (message != XTPWM_DOCKINGPANE_NOTIFY)
            return CFrameWnd::OnWndMsg(message, wParam, lParam, pResult);
        *pResult = OnDockingPaneNotify(wParam, lParam);
        return TRUE;
    }

    LRESULT OnDockingPaneNotify(WPARAM wParam, LPARAM lParam)
    {
        DockingNotification n = { wParam, lParam, -1, NULL, {}, NULL, -1 };
        if (wParam == XTP_DPN_CONTEXTMENU)
            n.click = *(XTP_DOCKINGPANE_CLICK*)lParam;
        if (wParam == XTP_DPN_SHOWWINDOW)
            n.pPane = (CXTPDockingPane*)lParam;
        if (wParam == XTP_DPN_ACTION)
        {
            XTP_DOCKINGPANE_ACTION* pAction = (XTP_DOCKINGPANE_ACTION*)lParam;
            n.nAction = pAction->action;
            n.pPane = pAction->pPane;
            n.pTarget = pAction->pDockContainer;
            n.nDirection = pAction->dockDirection;
            if ((int)pAction->action == m_nVetoAction)
                pAction->bCancel = TRUE;
        }
        m_notifications.push_back(n);

        if (wParam == XTP_DPN_SHOWWINDOW)
        {
            CXTPDockingPane* pPane = (CXTPDockingPane*)lParam;
            if (!m_bAttachWindows)
                return FALSE;
            if (!pPane->HasAttachedWindow())
            {
                CWnd*& pWnd = m_paneWindows[pPane->GetID()];
                if (pWnd == NULL || pWnd->GetSafeHwnd() == NULL)
                {
                    delete pWnd;
                    pWnd = new CWnd;
                    pWnd->CreateEx(0, "STATIC", pPane->GetTitle(), WS_CHILD | SS_CENTER, CRect(0, 0, 0, 0), this,
                                   0);
                }
                pPane->AttachWindow(pWnd);
            }
            return TRUE;
        }
        if (wParam == XTP_DPN_CLOSEPANE)
            return m_nCloseAnswer;
        if (wParam == XTP_DPN_CONTEXTMENU)
            return m_nContextMenuAnswer;
        return 0;
    }

    virtual void PostNcDestroy()
    {
        for (auto& entry : m_paneWindows)
            delete entry.second;
        m_paneWindows.clear();
        CFrameWnd::PostNcDestroy();
    }
};

// The fixture of tests on one docking frame: it makes the frame, runs its
// layout passes and destroys it at the end.
class DockingFrameTest : public ::testing::Test
{
protected:
    void TearDown() override
    {
        if (pFrame != NULL)
            pFrame->DestroyWindow();
        PumpPending();
    }
    // The frame with its view and attached manager (nTheme, when not -1,
    // set on the manager).
    void CreateFrame(CSize szClient, int nTheme = -1)
    {
        pFrame = new CDockingTestFrame;
        ASSERT_TRUE(pFrame->CreateWithManager(szClient));
        if (nTheme >= 0)
            pFrame->m_paneManager.SetTheme(nTheme);
    }
    // What was posted, then a layout pass of the frame.
    void Layout()
    {
        PumpPending();
        pFrame->RecalcLayout();
        PumpPending();
    }
    CXTPDockingPaneManager& manager() { return pFrame->m_paneManager; }
    // A pane made at a side and given its caption's title.
    CXTPDockingPane* AddPane(int nID, LPCTSTR lpszTitle, XTPDockingPaneDirection direction,
                             CSize sz = CSize(200, 120))
    {
        CXTPDockingPane* pPane = manager().CreatePane(nID, CRect(CPoint(0, 0), sz), direction);
        if (pPane != NULL)
            pPane->SetTitle(lpszTitle);
        return pPane;
    }

    CDockingTestFrame* pFrame = NULL;
};

// A 640 x 480 frame with the pane "Left" docked left and "Right" docked
// right, both 200 wide, laid out.
class TwoPaneFrameTest : public DockingFrameTest
{
protected:
    void SetUp() override
    {
        CreateFrame(CSize(640, 480));
        pLeft = AddPane(1, _T("Left"), xtpPaneDockLeft);
        pRight = AddPane(2, _T("Right"), xtpPaneDockRight);
        Layout();
    }

    CXTPDockingPane* pLeft = NULL;
    CXTPDockingPane* pRight = NULL;
};

// A window's rectangle in screen coordinates.
inline CRect ScreenRect(HWND hWnd)
{
    CRect rc;
    ::GetWindowRect(hWnd, &rc);
    return rc;
}

// The tabbed container a pane sits in.
inline CXTPDockingPaneTabbedContainer* GroupOf(CXTPDockingPane* pPane)
{
    return static_cast<CXTPDockingPaneTabbedContainer*>(pPane->GetContainer());
}

// Sets a key down or up in the thread's key state, which GetKeyState reads.
inline void SetKeyDown(int nKey, bool bDown)
{
    BYTE keys[256];
    ::GetKeyboardState(keys);
    keys[nKey] = bDown ? 0x80 : 0;
    ::SetKeyboardState(keys);
}

// A child window's rectangle in its parent's client coordinates.
inline CRect ChildRect(HWND hWnd)
{
    CRect rc;
    ::GetWindowRect(hWnd, &rc);
    ::MapWindowPoints(NULL, ::GetParent(hWnd), (LPPOINT)&rc, 2);
    return rc;
}

// Shown in its parent (the test frames themselves stay hidden).
inline bool HasVisibleStyle(HWND hWnd)
{
    return (::GetWindowLong(hWnd, GWL_STYLE) & WS_VISIBLE) != 0;
}

// Draws the docking windows among the children of a window as they look:
// tabbed containers through the paint manager with their hosted windows as
// their text on the window colour, splitters through the paint manager, a
// view in white. Coordinates are the parent's client coordinates.
inline void DrawDockingChildren(HWND hWndParent, CXTPDockingPanePaintManager* pPaintManager, CDC* pDC)
{
    std::vector<HWND> arrChildren;
    for (HWND hWnd = ::GetWindow(hWndParent, GW_CHILD); hWnd != NULL; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT))
        arrChildren.push_back(hWnd);
    for (auto it = arrChildren.rbegin(); it != arrChildren.rend(); ++it)
    {
        HWND hWnd = *it;
        if (!HasVisibleStyle(hWnd))
            continue;
        CRect rc = ChildRect(hWnd);
        CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
        int nSaved = pDC->SaveDC();
        pDC->OffsetViewportOrg(rc.left, rc.top);
        pDC->IntersectClipRect(0, 0, rc.Width(), rc.Height());
        CRect rcLocal(0, 0, rc.Width(), rc.Height());
        if (CXTPDockingPaneTabbedContainer* pContainer = dynamic_cast<CXTPDockingPaneTabbedContainer*>(pWnd))
        {
            pPaintManager->DrawPane(pDC, pContainer, rcLocal);
            for (HWND hHosted = ::GetWindow(hWnd, GW_CHILD); hHosted != NULL;
                 hHosted = ::GetWindow(hHosted, GW_HWNDNEXT))
            {
                if (!HasVisibleStyle(hHosted))
                    continue;
                CRect rcHosted = ChildRect(hHosted);
                pDC->FillSolidRect(rcHosted, ::GetSysColor(COLOR_WINDOW));
                char szText[256] = {};
                ::GetWindowTextA(hHosted, szText, 255);
                pDC->SetTextColor(::GetSysColor(COLOR_WINDOWTEXT));
                pDC->SetBkMode(TRANSPARENT);
                pDC->DrawText(szText, rcHosted, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
            }
        }
        else if (CXTPDockingPaneSplitterWnd* pSplitter = dynamic_cast<CXTPDockingPaneSplitterWnd*>(pWnd))
        {
            pPaintManager->DrawSplitter(pDC, pSplitter);
        }
        else if (pWnd != NULL && pWnd->IsKindOf(RUNTIME_CLASS(CView)))
        {
            pDC->FillSolidRect(rcLocal, RGB(255, 255, 255));
            pDC->Draw3dRect(rcLocal, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
        }
        else if (CXTPDockingPaneAutoHidePanel* pPanel = dynamic_cast<CXTPDockingPaneAutoHidePanel*>(pWnd))
        {
            pPanel->DrawPanel(pDC, rcLocal);
        }
        else if (CXTPDockingPaneAutoHideWnd* pSlideOut = dynamic_cast<CXTPDockingPaneAutoHideWnd*>(pWnd))
        {
            pSlideOut->DrawWindow(pDC, rcLocal);
            DrawDockingChildren(hWnd, pPaintManager, pDC);
        }
        pDC->RestoreDC(nSaved);
    }
}

// Draws the frame's client area as it looks.
inline void DrawDockingFrame(CDockingTestFrame* pFrame, Canvas& canvas)
{
    CDC* pDC = canvas.DC();
    CRect rcClient;
    pFrame->GetClientRect(&rcClient);
    pDC->FillSolidRect(rcClient, ::GetSysColor(COLOR_APPWORKSPACE));
    DrawDockingChildren(pFrame->m_hWnd, pFrame->m_paneManager.GetPaintManager(), pDC);
}

// Draws the drag feedback over a picture of the frame: the translucent
// previews blended as the system would (alpha 100 of 255), and the stickers
// in their shapes and highlights. Windows off the frame are left out.
inline void DrawDragFeedback(CDockingTestFrame* pFrame, Canvas& canvas)
{
    CXTPDockingPaneContext* pContext = pFrame->m_paneManager.GetDockingContext();
    CDC* pDC = canvas.DC();
    CRect rcFrame;
    pFrame->GetWindowRect(&rcFrame);
    for (CWnd* pPreview : { (CWnd*)&pContext->m_wndContext, (CWnd*)&pContext->m_wndAttachedTab })
    {
        if (pPreview->GetSafeHwnd() == NULL)
            continue;
        CRect rc;
        pPreview->GetWindowRect(&rc);
        rc.OffsetRect(-rcFrame.TopLeft());
        CDC dcColor;
        dcColor.CreateCompatibleDC(pDC);
        CBitmap bmp;
        bmp.CreateCompatibleBitmap(pDC, 1, 1);
        CBitmap* pOld = dcColor.SelectObject(&bmp);
        dcColor.SetPixel(0, 0, ::GetSysColor(COLOR_HIGHLIGHT));
        BLENDFUNCTION blend = { AC_SRC_OVER, 0, 100, 0 };
        ::AlphaBlend(pDC->GetSafeHdc(), rc.left, rc.top, rc.Width(), rc.Height(), dcColor.GetSafeHdc(), 0, 0, 1, 1,
                     blend);
        dcColor.SelectObject(pOld);
    }
    POSITION pos = pContext->GetStickers().GetHeadPosition();
    while (pos != NULL)
    {
        CXTPDockingPaneContextStickerWnd* pSticker = pContext->GetStickers().GetNext(pos);
        CRect rc;
        pSticker->GetWindowRect(&rc);
        rc.OffsetRect(-rcFrame.TopLeft());
        CRgn rgn;
        rgn.CreateRectRgn(0, 0, 0, 0);
        if (pSticker->GetWindowRgn(rgn) == ERROR)
            rgn.SetRectRgn(0, 0, rc.Width(), rc.Height());
        rgn.OffsetRgn(rc.TopLeft());
        int nSaved = pDC->SaveDC();
        pDC->SelectClipRgn(&rgn);
        pDC->SetViewportOrg(rc.left, rc.top);
        CXTPDockingPaneContextStickerWnd::DrawSticker(pDC, pSticker->GetKind(), pSticker->GetHighlighted(),
                                                      pContext->GetStickerStyle(),
                                                      GetColorManager()->GetCurrentSystemTheme());
        pDC->RestoreDC(nSaved);
    }
}

// Draws a floating window with a themed frame as it looks: its frame and
// caption through the paint manager, its docking windows inside.
inline void DrawMiniWindow(CXTPDockingPaneMiniWnd* pMini, CXTPDockingPanePaintManager* pPaintManager,
                           Canvas& canvas)
{
    CDC* pDC = canvas.DC();
    CRect rcWindow, rcClient;
    pMini->GetWindowRect(&rcWindow);
    pMini->GetClientRect(&rcClient);
    pMini->ClientToScreen(&rcClient);
    CRect rc(0, 0, rcWindow.Width(), rcWindow.Height());
    pPaintManager->DrawFloatingFrame(pDC, pMini, rc);
    int nSaved = pDC->SaveDC();
    pDC->SetViewportOrg(rcClient.left - rcWindow.left, rcClient.top - rcWindow.top);
    pDC->IntersectClipRect(0, 0, rcClient.Width(), rcClient.Height());
    pDC->FillSolidRect(0, 0, rcClient.Width(), rcClient.Height(), ::GetSysColor(COLOR_BTNFACE));
    DrawDockingChildren(pMini->GetSafeHwnd(), pPaintManager, pDC);
    pDC->RestoreDC(nSaved);
}
} // namespace testsupport
