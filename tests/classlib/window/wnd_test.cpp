// Message maps, dispatch, reflection, command routing and the exception
// barrier of the window layer, on real windows.
#include "support/wndtest.h"
#include "window/wndimpl.h"

#include <stdexcept>
#include <string>
#include <vector>

using namespace testsupport;

namespace
{

const UINT ID_ROUTE_ALL = 1000;      // handled by view, document, frame and application
const UINT ID_ROUTE_DOCFRAME = 1001; // document and frame
const UINT ID_ROUTE_APP = 1002;      // application only
const UINT ID_ROUTE_EX = 1003;       // view's _EX handler passes it on
const UINT ID_ROUTE_DISABLED = 1004; // update handler disables it
const UINT ID_ROUTE_NONE = 1999;     // nobody

std::vector<std::string> g_route;

class CTestApp : public CWinApp
{
public:
    afx_msg void OnAll() { g_route.push_back("app"); }
    afx_msg void OnAppOnly() { g_route.push_back("app-only"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestApp, CWinApp)
    ON_COMMAND(ID_ROUTE_ALL, OnAll)
    ON_COMMAND(ID_ROUTE_APP, OnAppOnly)
END_MESSAGE_MAP()

CTestApp theApp;
::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new Environment);

LPCTSTR PlainClass()
{
    return AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW), (HBRUSH)(COLOR_WINDOW + 1));
}

/////////////////////////////////////////////////////////////////////////////
// Crackers

UINT g_nRegisteredMsg = ::RegisterWindowMessage("BrindlemarkTestRegistered");

class CProbeWnd : public CWnd
{
public:
    int nCreate = 0;
    CSize sizeLast;
    CPoint ptLast;
    UINT nFlagsLast = 0;
    UINT_PTR nTimerLast = 0;
    int nVoid = 0;
    short zDeltaLast = 0;

    afx_msg int OnCreate(LPCREATESTRUCT lpcs)
    {
        ++nCreate;
        return CWnd::OnCreate(lpcs);
    }
    afx_msg void OnSize(UINT nType, int cx, int cy)
    {
        sizeLast = CSize(cx, cy);
        CWnd::OnSize(nType, cx, cy);
    }
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point)
    {
        nFlagsLast = nFlags;
        ptLast = point;
    }
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt)
    {
        nFlagsLast = nFlags;
        zDeltaLast = zDelta;
        ptLast = pt;
        return TRUE;
    }
    afx_msg void OnTimer(UINT_PTR nIDEvent) { nTimerLast = nIDEvent; }
    afx_msg LRESULT OnNcHitTest(CPoint) { return HTTRANSPARENT; }
    afx_msg LRESULT OnSum(WPARAM wParam, LPARAM lParam) { return (LRESULT)wParam + lParam; }
    afx_msg void OnVoidMessage() { ++nVoid; }
    afx_msg LRESULT OnRegistered(WPARAM, LPARAM) { return 42; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CProbeWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEWHEEL()
    ON_WM_TIMER()
    ON_WM_NCHITTEST()
    ON_MESSAGE(WM_APP + 1, OnSum)
    ON_MESSAGE_VOID(WM_APP + 2, OnVoidMessage)
    ON_REGISTERED_MESSAGE(g_nRegisteredMsg, OnRegistered)
END_MESSAGE_MAP()

TEST(MessageMaps, CrackersPassTheHandlersTheirArguments)
{
    CProbeWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, PlainClass(), "probe", WS_POPUP, 0, 0, 200, 100, NULL, NULL));
    EXPECT_EQ(1, wnd.nCreate);

    wnd.SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(120, 80));
    EXPECT_EQ(CSize(120, 80), wnd.sizeLast);

    // Coordinates are signed: a point left of the window stays negative.
    wnd.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(-5, 7));
    EXPECT_EQ(CPoint(-5, 7), wnd.ptLast);
    EXPECT_EQ((UINT)(MK_LBUTTON | MK_SHIFT), wnd.nFlagsLast);

    wnd.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, (WORD)(short)-120), MAKELPARAM(300, 400));
    EXPECT_EQ(-120, wnd.zDeltaLast);
    EXPECT_EQ((UINT)MK_CONTROL, wnd.nFlagsLast);
    EXPECT_EQ(CPoint(300, 400), wnd.ptLast);

    wnd.SendMessage(WM_TIMER, 2024, 0);
    EXPECT_EQ((UINT_PTR)2024, wnd.nTimerLast);

    EXPECT_EQ(HTTRANSPARENT, (int)wnd.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(1, 1)));
    EXPECT_EQ(12, (int)wnd.SendMessage(WM_APP + 1, 5, 7));
    wnd.SendMessage(WM_APP + 2);
    EXPECT_EQ(1, wnd.nVoid);
    EXPECT_EQ(42, (int)wnd.SendMessage(g_nRegisteredMsg));

    // Unmapped messages reach the window's own procedure.
    wnd.SetWindowText("hello");
    CString str;
    wnd.GetWindowText(str);
    EXPECT_STREQ("hello", str);

    wnd.DestroyWindow();
    EXPECT_EQ(NULL, wnd.m_hWnd);
}

/////////////////////////////////////////////////////////////////////////////
// Base classes and mix-ins

class CBaseHandlers : public CWnd
{
public:
    afx_msg LRESULT OnFirst(WPARAM, LPARAM) { return 1; }
    afx_msg LRESULT OnSecond(WPARAM, LPARAM) { return 2; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseHandlers, CWnd)
    ON_MESSAGE(WM_APP + 10, OnFirst)
    ON_MESSAGE(WM_APP + 11, OnSecond)
END_MESSAGE_MAP()

class CDerivedHandlers : public CBaseHandlers
{
public:
    afx_msg LRESULT OnFirstAgain(WPARAM, LPARAM) { return 10; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedHandlers, CBaseHandlers)
    ON_MESSAGE(WM_APP + 10, OnFirstAgain)
END_MESSAGE_MAP()

// A mix-in with data placed before the window base: its handler must see
// its own sub-object.
class CCounterMixin
{
public:
    int nPadding[3] = { 7, 7, 7 };
    int nHits = 0;
    LRESULT OnMixinMessage(WPARAM wParam, LPARAM)
    {
        nHits += (int)wParam;
        return nPadding[0];
    }
};

class CMixedWnd : public CCounterMixin, public CWnd
{
public:
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CMixedWnd, CWnd)
    ON_MESSAGE(WM_APP + 12, OnMixinMessage)
END_MESSAGE_MAP()

TEST(MessageMaps, LookupRunsFromTheClassThroughItsBases)
{
    CDerivedHandlers wnd;
    ASSERT_TRUE(wnd.CreateEx(0, PlainClass(), "", WS_POPUP, 0, 0, 10, 10, NULL, NULL));
    EXPECT_EQ(10, (int)wnd.SendMessage(WM_APP + 10));   // the derived entry wins
    EXPECT_EQ(2, (int)wnd.SendMessage(WM_APP + 11));    // the base's entry still answers
    wnd.DestroyWindow();
}

TEST(MessageMaps, HandlersOfAMixinSeeTheirOwnObject)
{
    CMixedWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, PlainClass(), "", WS_POPUP, 0, 0, 10, 10, NULL, NULL));
    EXPECT_EQ(7, (int)wnd.SendMessage(WM_APP + 12, 3));
    EXPECT_EQ(3, wnd.nHits);
    wnd.DestroyWindow();
}

/////////////////////////////////////////////////////////////////////////////
// Creation hook on system classes

class CCreationProbe : public CWnd
{
public:
    int nNcCreate = 0;
    int nCreate = 0;
    int nPreSubclass = 0;
    afx_msg BOOL OnNcCreate(LPCREATESTRUCT lpcs)
    {
        ++nNcCreate;
        return CWnd::OnNcCreate(lpcs);
    }
    afx_msg int OnCreate(LPCREATESTRUCT lpcs)
    {
        ++nCreate;
        return CWnd::OnCreate(lpcs);
    }
    virtual void PreSubclassWindow() { ++nPreSubclass; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCreationProbe, CWnd)
    ON_WM_NCCREATE()
    ON_WM_CREATE()
END_MESSAGE_MAP()

TEST(CreationHook, SystemClassesShowTheirCreationMessagesToTheObject)
{
    CProbeWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, PlainClass(), "parent", WS_POPUP, 0, 0, 300, 300, NULL, NULL));
    ASSERT_TRUE(AfxInitRichEdit());
    const char* classes[] = { "STATIC", "EDIT", "LISTBOX", "BUTTON", "RichEdit20A" };
    UINT nID = 100;
    for (const char* pszClass : classes)
    {
        SCOPED_TRACE(pszClass);
        CCreationProbe child;
        ASSERT_TRUE(child.Create(pszClass, "text", WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 20), &parent, nID++));
        EXPECT_EQ(1, child.nNcCreate);
        EXPECT_EQ(1, child.nCreate);
        EXPECT_EQ(1, child.nPreSubclass);
        EXPECT_TRUE(child.m_pfnSuper != NULL);
        EXPECT_EQ(&child, CWnd::FromHandlePermanent(child.m_hWnd));
        // The control's own procedure still does its work.
        CString strText;
        child.GetWindowText(strText);
        EXPECT_STREQ("text", strText);
        child.DestroyWindow();
        EXPECT_EQ(NULL, CWnd::FromHandlePermanent(::GetDlgItem(parent.m_hWnd, (int)nID - 1)));
    }
    parent.DestroyWindow();
}

TEST(CreationHook, AFailedCreationLeavesNoHookBehind)
{
    CCreationProbe wnd;
    EXPECT_FALSE(wnd.CreateEx(0, "NoSuchClassForBrindlemark", "", WS_POPUP, 0, 0, 10, 10, NULL, NULL));
    EXPECT_EQ(NULL, wnd.m_hWnd);
    // The next window is not mistaken for the failed one.
    HWND hWnd = ::CreateWindowEx(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
    ASSERT_TRUE(hWnd != NULL);
    EXPECT_EQ(NULL, CWnd::FromHandlePermanent(hWnd));
    EXPECT_EQ(NULL, wnd.m_hWnd);
    ::DestroyWindow(hWnd);
}

TEST(CreationHook, SubclassAndUnsubclassRestoreTheOriginalProcedure)
{
    HWND hWnd = ::CreateWindowEx(0, "EDIT", "abc", WS_POPUP, 0, 0, 50, 20, NULL, NULL, NULL, NULL);
    ASSERT_TRUE(hWnd != NULL);
    LONG_PTR pfnOriginal = ::GetWindowLongPtr(hWnd, GWLP_WNDPROC);
    CCreationProbe wnd;
    ASSERT_TRUE(wnd.SubclassWindow(hWnd));
    EXPECT_EQ(1, wnd.nPreSubclass);
    EXPECT_EQ((LONG_PTR)&AfxWndProc, ::GetWindowLongPtr(hWnd, GWLP_WNDPROC));
    // A second object cannot take the same window.
    CWnd other;
    EXPECT_FALSE(other.SubclassWindow(hWnd));
    EXPECT_EQ(hWnd, wnd.UnsubclassWindow());
    EXPECT_EQ(pfnOriginal, ::GetWindowLongPtr(hWnd, GWLP_WNDPROC));
    EXPECT_EQ(NULL, CWnd::FromHandlePermanent(hWnd));
    ::DestroyWindow(hWnd);
}

/////////////////////////////////////////////////////////////////////////////
// Current message and Default()

class CNestingWnd : public CWnd
{
public:
    HWND hWndOther = NULL;
    UINT nMessageAfterNestedSend = 0;
    afx_msg LRESULT OnOuter(WPARAM, LPARAM)
    {
        ::SendMessage(hWndOther, WM_APP + 21, 0, 0);
        nMessageAfterNestedSend = GetCurrentMessage()->message;
        return 0;
    }
    afx_msg LRESULT OnSetText(WPARAM, LPARAM)
    {
        ::SendMessage(hWndOther, WM_APP + 21, 0, 0);
        return Default();   // still the WM_SETTEXT being handled
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CNestingWnd, CWnd)
    ON_MESSAGE(WM_APP + 20, OnOuter)
    ON_MESSAGE(WM_SETTEXT, OnSetText)
END_MESSAGE_MAP()

class CInnerWnd : public CWnd
{
public:
    int nInner = 0;
    afx_msg LRESULT OnInner(WPARAM, LPARAM)
    {
        ++nInner;
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CInnerWnd, CWnd)
    ON_MESSAGE(WM_APP + 21, OnInner)
END_MESSAGE_MAP()

TEST(Dispatch, TheCurrentMessageSurvivesNestedSends)
{
    CInnerWnd inner;
    ASSERT_TRUE(inner.CreateEx(0, PlainClass(), "", WS_POPUP, 0, 0, 10, 10, NULL, NULL));
    CNestingWnd outer;
    ASSERT_TRUE(outer.CreateEx(0, "EDIT", "", WS_POPUP, 0, 0, 100, 20, NULL, NULL));
    outer.hWndOther = inner.m_hWnd;

    outer.SendMessage(WM_APP + 20);
    EXPECT_EQ((UINT)(WM_APP + 20), outer.nMessageAfterNestedSend);

    outer.SetWindowText("kept");
    CString strText;
    outer.GetWindowText(strText);
    EXPECT_STREQ("kept", strText);
    EXPECT_EQ(2, inner.nInner);

    outer.DestroyWindow();
    inner.DestroyWindow();
}

/////////////////////////////////////////////////////////////////////////////
// Exception barrier

class CThrowingWnd : public CWnd
{
public:
    int nWhat = 0;
    BOOL bFailCreate = FALSE;
    afx_msg int OnCreate(LPCREATESTRUCT lpcs)
    {
        if (bFailCreate)
            AfxThrowMemoryException();
        return CWnd::OnCreate(lpcs);
    }
    afx_msg LRESULT OnThrow(WPARAM wParam, LPARAM)
    {
        switch (wParam)
        {
        case 0:
            AfxThrowFileException(CFileException::diskFull);
        case 1:
            throw std::runtime_error("broken");
        default:
            throw 5;
        }
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CThrowingWnd, CWnd)
    ON_WM_CREATE()
    ON_MESSAGE(WM_APP + 30, OnThrow)
END_MESSAGE_MAP()

TEST(ExceptionBarrier, ExceptionsInHandlersAreReportedAndTheProgramGoesOn)
{
    Exceptions().clear();
    CThrowingWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, PlainClass(), "", WS_POPUP, 0, 0, 10, 10, NULL, NULL));
    for (WPARAM w = 0; w < 3; ++w)
        EXPECT_EQ(0, (int)wnd.SendMessage(WM_APP + 30, w));
    ASSERT_EQ(3u, Exceptions().size());
    EXPECT_NE(std::string::npos, Exceptions()[1].find("broken"));
    // The window still works.
    EXPECT_TRUE(::IsWindow(wnd.m_hWnd));
    EXPECT_EQ(&wnd, CWnd::FromHandlePermanent(wnd.m_hWnd));
    wnd.DestroyWindow();
}

TEST(ExceptionBarrier, AThrowingOnCreateFailsTheCreation)
{
    Exceptions().clear();
    CThrowingWnd wnd;
    wnd.bFailCreate = TRUE;
    EXPECT_FALSE(wnd.CreateEx(0, PlainClass(), "", WS_POPUP, 0, 0, 10, 10, NULL, NULL));
    EXPECT_EQ(NULL, wnd.m_hWnd);
    EXPECT_EQ(1u, Exceptions().size());
}

/////////////////////////////////////////////////////////////////////////////
// Reflection

const UINT IDC_PLAIN = 300;
const UINT IDC_REFLECTING = 301;
const UINT IDC_PASSING = 302;

class CReflectParent : public CWnd
{
public:
    std::vector<std::string> log;
    HBRUSH hbrParent = (HBRUSH)::GetStockObject(GRAY_BRUSH);
    afx_msg void OnClickedReflecting() { log.push_back("parent-301"); }
    afx_msg void OnClickedPassing() { log.push_back("parent-302"); }
    afx_msg void OnNotifyPassing(NMHDR*, LRESULT* pResult)
    {
        log.push_back("parent-notify");
        *pResult += 100;
    }
    afx_msg HBRUSH OnCtlColor(CDC*, CWnd* pWnd, UINT nCtlColor)
    {
        log.push_back("parent-ctlcolor-" + std::to_string(pWnd->GetDlgCtrlID()) + "-" + std::to_string(nCtlColor));
        return hbrParent;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectParent, CWnd)
    ON_BN_CLICKED(IDC_REFLECTING, OnClickedReflecting)
    ON_BN_CLICKED(IDC_PASSING, OnClickedPassing)
    ON_NOTIFY(NM_CLICK, IDC_PASSING, OnNotifyPassing)
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

class CReflectingButton : public CWnd
{
public:
    std::vector<std::string>* pLog = NULL;
    afx_msg void OnReflectedClick() { pLog->push_back("child-click"); }
    afx_msg HBRUSH CtlColor(CDC*, UINT) { return (HBRUSH)::GetStockObject(WHITE_BRUSH); }
    afx_msg void DrawItem(LPDRAWITEMSTRUCT) { pLog->push_back("child-draw"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectingButton, CWnd)
    ON_CONTROL_REFLECT(BN_CLICKED, OnReflectedClick)
    ON_WM_CTLCOLOR_REFLECT()
    ON_WM_DRAWITEM_REFLECT()
END_MESSAGE_MAP()

class CPassingButton : public CWnd
{
public:
    std::vector<std::string>* pLog = NULL;
    BOOL bEat = FALSE;
    afx_msg BOOL OnReflectedClickEx()
    {
        pLog->push_back("child-click-ex");
        return bEat;
    }
    afx_msg BOOL OnReflectedNotifyEx(NMHDR*, LRESULT* pResult)
    {
        pLog->push_back("child-notify-ex");
        *pResult = 1;
        return bEat;
    }
    afx_msg HBRUSH CtlColor(CDC*, UINT) { return NULL; }   // not handled
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPassingButton, CWnd)
    ON_CONTROL_REFLECT_EX(BN_CLICKED, OnReflectedClickEx)
    ON_NOTIFY_REFLECT_EX(NM_CLICK, OnReflectedNotifyEx)
    ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

class ReflectionTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(parent.CreateEx(0, PlainClass(), "", WS_POPUP, 0, 0, 300, 200, NULL, NULL));
        ASSERT_TRUE(plain.Create("BUTTON", "plain", WS_CHILD | BS_PUSHBUTTON, CRect(0, 0, 50, 20), &parent, IDC_PLAIN));
        reflecting.pLog = &parent.log;
        ASSERT_TRUE(reflecting.Create("BUTTON", "r", WS_CHILD | BS_OWNERDRAW, CRect(0, 30, 50, 50), &parent,
                                      IDC_REFLECTING));
        passing.pLog = &parent.log;
        ASSERT_TRUE(passing.Create("BUTTON", "p", WS_CHILD | BS_PUSHBUTTON, CRect(0, 60, 50, 80), &parent,
                                   IDC_PASSING));
    }
    void TearDown() override { parent.DestroyWindow(); }

    LRESULT Click(CWnd& child)
    {
        return parent.SendMessage(WM_COMMAND, MAKEWPARAM(child.GetDlgCtrlID(), BN_CLICKED), (LPARAM)child.m_hWnd);
    }

    CReflectParent parent;
    CWnd plain;
    CReflectingButton reflecting;
    CPassingButton passing;
};

TEST_F(ReflectionTest, AHandledReflectionEndsTheNotification)
{
    Click(reflecting);
    EXPECT_EQ(std::vector<std::string>({ "child-click" }), parent.log);
}

TEST_F(ReflectionTest, AnExHandlerReturningFalseAlsoPassesItToTheParent)
{
    passing.bEat = FALSE;
    Click(passing);
    EXPECT_EQ(std::vector<std::string>({ "child-click-ex", "parent-302" }), parent.log);
    parent.log.clear();
    passing.bEat = TRUE;
    Click(passing);
    EXPECT_EQ(std::vector<std::string>({ "child-click-ex" }), parent.log);
}

TEST_F(ReflectionTest, NotificationsReflectTheSameWay)
{
    NMHDR nmhdr = { passing.m_hWnd, IDC_PASSING, (UINT)NM_CLICK };
    passing.bEat = FALSE;
    LRESULT lResult = parent.SendMessage(WM_NOTIFY, IDC_PASSING, (LPARAM)&nmhdr);
    EXPECT_EQ(std::vector<std::string>({ "child-notify-ex", "parent-notify" }), parent.log);
    EXPECT_EQ(101, (int)lResult);   // both wrote into the one result
}

TEST_F(ReflectionTest, ColourAndOwnerDrawGoToTheChildFirst)
{
    HDC hDC = ::GetDC(parent.m_hWnd);
    LRESULT lResult = parent.SendMessage(WM_CTLCOLORBTN, (WPARAM)hDC, (LPARAM)reflecting.m_hWnd);
    EXPECT_EQ((LRESULT)::GetStockObject(WHITE_BRUSH), lResult);
    EXPECT_TRUE(parent.log.empty());

    // The child declines (null brush): the parent's handler answers.
    lResult = parent.SendMessage(WM_CTLCOLORSTATIC, (WPARAM)hDC, (LPARAM)passing.m_hWnd);
    EXPECT_EQ((LRESULT)parent.hbrParent, lResult);
    EXPECT_EQ(std::vector<std::string>({ "parent-ctlcolor-302-" + std::to_string(CTLCOLOR_STATIC) }), parent.log);
    ::ReleaseDC(parent.m_hWnd, hDC);

    parent.log.clear();
    DRAWITEMSTRUCT dis = {};
    dis.CtlType = ODT_BUTTON;
    dis.CtlID = IDC_REFLECTING;
    dis.hwndItem = reflecting.m_hWnd;
    EXPECT_EQ(TRUE, (BOOL)parent.SendMessage(WM_DRAWITEM, IDC_REFLECTING, (LPARAM)&dis));
    EXPECT_EQ(std::vector<std::string>({ "child-draw" }), parent.log);
}

/////////////////////////////////////////////////////////////////////////////
// Command routing: view, document, frame, application

class CRouteDoc : public CDocument
{
    DECLARE_DYNCREATE(CRouteDoc)
public:
    afx_msg void OnAll() { g_route.push_back("doc"); }
    afx_msg void OnDocFrame() { g_route.push_back("doc"); }
    afx_msg void OnEx() { g_route.push_back("doc-ex"); }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CRouteDoc, CDocument)
BEGIN_MESSAGE_MAP(CRouteDoc, CDocument)
    ON_COMMAND(ID_ROUTE_ALL, OnAll)
    ON_COMMAND(ID_ROUTE_DOCFRAME, OnDocFrame)
    ON_COMMAND(ID_ROUTE_EX, OnEx)
END_MESSAGE_MAP()

class CRouteView : public CView
{
    DECLARE_DYNCREATE(CRouteView)
public:
    virtual void OnDraw(CDC*) {}
    afx_msg void OnAll() { g_route.push_back("view"); }
    afx_msg BOOL OnEx(UINT nID)
    {
        g_route.push_back("view-ex-" + std::to_string(nID));
        return FALSE;   // let the others have it too
    }
    afx_msg void OnDisabled() { g_route.push_back("disabled-ran"); }
    afx_msg void OnUpdateDisabled(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CRouteView, CView)
BEGIN_MESSAGE_MAP(CRouteView, CView)
    ON_COMMAND(ID_ROUTE_ALL, OnAll)
    ON_COMMAND_EX(ID_ROUTE_EX, OnEx)
    ON_COMMAND(ID_ROUTE_DISABLED, OnDisabled)
    ON_UPDATE_COMMAND_UI(ID_ROUTE_DISABLED, OnUpdateDisabled)
END_MESSAGE_MAP()

class CRouteFrame : public CFrameWnd
{
    DECLARE_DYNCREATE(CRouteFrame)
public:
    afx_msg void OnAll() { g_route.push_back("frame"); }
    afx_msg void OnDocFrame() { g_route.push_back("frame"); }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CRouteFrame, CFrameWnd)
BEGIN_MESSAGE_MAP(CRouteFrame, CFrameWnd)
    ON_COMMAND(ID_ROUTE_ALL, OnAll)
    ON_COMMAND(ID_ROUTE_DOCFRAME, OnDocFrame)
END_MESSAGE_MAP()

// Records what an update asked for.
class CRecordingCmdUI : public CCmdUI
{
public:
    int nEnableCalls = 0;
    BOOL bEnabled = -1;
    virtual void Enable(BOOL bOn = TRUE)
    {
        ++nEnableCalls;
        bEnabled = bOn;
        m_bEnableChanged = TRUE;
    }
};

class RoutingTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_route.clear();
        pDoc = new CRouteDoc;
        CCreateContext context;
        context.m_pNewViewClass = RUNTIME_CLASS(CRouteView);
        context.m_pCurrentDoc = pDoc;
        pFrame = new CRouteFrame;
        ASSERT_TRUE(pFrame->Create(NULL, "Route", WS_OVERLAPPEDWINDOW, CRect(0, 0, 400, 300), NULL, NULL, 0,
                                   &context));
        pFrame->InitialUpdateFrame(pDoc, FALSE);   // hidden: routing needs no display
        hWndFrame = pFrame->m_hWnd;
    }
    void TearDown() override
    {
        if (::IsWindow(hWndFrame))
            ::DestroyWindow(hWndFrame);   // frame, view and document go
    }
    void Command(UINT nID) { pFrame->SendMessage(WM_COMMAND, nID, 0); }

    CRouteDoc* pDoc = NULL;
    CRouteFrame* pFrame = NULL;
    HWND hWndFrame = NULL;
};

TEST_F(RoutingTest, TheActiveViewGoesFirstThenDocumentFrameApplication)
{
    ASSERT_TRUE(pFrame->GetActiveView() != NULL);
    EXPECT_EQ(pDoc, pFrame->GetActiveDocument());

    Command(ID_ROUTE_ALL);
    Command(ID_ROUTE_DOCFRAME);
    Command(ID_ROUTE_APP);
    EXPECT_EQ(std::vector<std::string>({ "view", "doc", "app-only" }), g_route);
}

TEST_F(RoutingTest, AnExHandlerReturningFalseContinuesTheRouting)
{
    Command(ID_ROUTE_EX);
    EXPECT_EQ(std::vector<std::string>({ "view-ex-1003", "doc-ex" }), g_route);
}

TEST_F(RoutingTest, ADisabledCommandIsNotExecuted)
{
    Command(ID_ROUTE_DISABLED);
    EXPECT_TRUE(g_route.empty());
}

TEST_F(RoutingTest, HandlerQueriesOnlyReportTheHandler)
{
    AFX_CMDHANDLERINFO info = { NULL, NULL };
    EXPECT_TRUE(pFrame->OnCmdMsg(ID_ROUTE_DOCFRAME, CN_COMMAND, NULL, &info));
    EXPECT_EQ((CCmdTarget*)pDoc, info.pTarget);
    EXPECT_TRUE(g_route.empty());
    EXPECT_FALSE(pFrame->OnCmdMsg(ID_ROUTE_NONE, CN_COMMAND, NULL, &info));
}

TEST_F(RoutingTest, UpdatesDisableCommandsWithoutHandler)
{
    CRecordingCmdUI ui;
    ui.m_nID = ID_ROUTE_APP;
    ui.DoUpdate(pFrame, TRUE);
    EXPECT_EQ(TRUE, ui.bEnabled);

    CRecordingCmdUI none;
    none.m_nID = ID_ROUTE_NONE;
    none.DoUpdate(pFrame, TRUE);
    EXPECT_EQ(FALSE, none.bEnabled);

    // Without the disabling flag nothing is touched.
    CRecordingCmdUI untouched;
    untouched.m_nID = ID_ROUTE_NONE;
    untouched.DoUpdate(pFrame, FALSE);
    EXPECT_EQ(0, untouched.nEnableCalls);

    // The update handler's answer stands.
    CRecordingCmdUI disabled;
    disabled.m_nID = ID_ROUTE_DISABLED;
    EXPECT_TRUE(disabled.DoUpdate(pFrame, TRUE));
    EXPECT_EQ(FALSE, disabled.bEnabled);
    EXPECT_EQ(1, disabled.nEnableCalls);

    // Id 0 is never routed.
    CRecordingCmdUI zero;
    zero.DoUpdate(pFrame, TRUE);
    EXPECT_EQ(0, zero.nEnableCalls);
}

TEST_F(RoutingTest, MenusShowTheCommandStateWhenTheyOpen)
{
    HMENU hPopup = ::CreatePopupMenu();
    ::AppendMenu(hPopup, MF_STRING, ID_ROUTE_APP, "app");
    ::AppendMenu(hPopup, MF_STRING, ID_ROUTE_NONE, "none");
    ::AppendMenu(hPopup, MF_SEPARATOR, 0, NULL);
    ::AppendMenu(hPopup, MF_STRING, ID_ROUTE_DISABLED, "disabled");
    pFrame->SendMessage(WM_INITMENUPOPUP, (WPARAM)hPopup, MAKELPARAM(0, FALSE));
    EXPECT_FALSE(::GetMenuState(hPopup, ID_ROUTE_APP, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(::GetMenuState(hPopup, ID_ROUTE_NONE, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(::GetMenuState(hPopup, ID_ROUTE_DISABLED, MF_BYCOMMAND) & MF_GRAYED);
    ::DestroyMenu(hPopup);
}

/////////////////////////////////////////////////////////////////////////////
// Dialog controls updated against a target

class CButtonTarget : public CCmdTarget
{
public:
    afx_msg void OnHandled() {}
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CButtonTarget, CCmdTarget)
    ON_COMMAND(2002, OnHandled)
END_MESSAGE_MAP()

class CSelfUpdatingButton : public CWnd
{
public:
    afx_msg void OnUpdateSelf(CCmdUI* pCmdUI) { pCmdUI->Enable(TRUE); }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CSelfUpdatingButton, CWnd)
    ON_UPDATE_COMMAND_UI_REFLECT(OnUpdateSelf)
END_MESSAGE_MAP()

TEST(UpdateDialogControls, OnlyPushButtonsAreDisabledForLackOfAHandler)
{
    CWnd bar;
    ASSERT_TRUE(bar.CreateEx(0, PlainClass(), "", WS_POPUP, 0, 0, 300, 100, NULL, NULL));
    HINSTANCE hInst = ::GetModuleHandle(NULL);
    HWND hNoHandler = ::CreateWindow("BUTTON", "a", WS_CHILD | BS_PUSHBUTTON, 0, 0, 20, 20, bar.m_hWnd,
                                     (HMENU)2001, hInst, NULL);
    HWND hHandled = ::CreateWindow("BUTTON", "b", WS_CHILD | BS_PUSHBUTTON, 0, 0, 20, 20, bar.m_hWnd,
                                   (HMENU)2002, hInst, NULL);
    HWND hCheck = ::CreateWindow("BUTTON", "c", WS_CHILD | BS_AUTOCHECKBOX, 0, 0, 20, 20, bar.m_hWnd,
                                 (HMENU)2003, hInst, NULL);
    HWND hClock = ::CreateWindow("STATIC", "12:00", WS_CHILD, 0, 0, 20, 20, bar.m_hWnd, (HMENU)2028, hInst, NULL);
    CSelfUpdatingButton self;
    ASSERT_TRUE(self.Create("BUTTON", "d", WS_CHILD | BS_PUSHBUTTON | WS_DISABLED, CRect(0, 0, 20, 20), &bar, 2004));

    CButtonTarget target;
    bar.UpdateDialogControls(&target, TRUE);
    EXPECT_FALSE(::IsWindowEnabled(hNoHandler));
    EXPECT_TRUE(::IsWindowEnabled(hHandled));
    EXPECT_TRUE(::IsWindowEnabled(hCheck));
    EXPECT_TRUE(::IsWindowEnabled(hClock));
    EXPECT_TRUE(::IsWindowEnabled(self.m_hWnd));
    bar.DestroyWindow();
}

/////////////////////////////////////////////////////////////////////////////
// Temporary objects and reference counts

class CLeafWnd : public CWnd
{
public:
    CWnd* pTempSeen = NULL;
    BOOL bTempSurvived = FALSE;
    afx_msg LRESULT OnIdleInside(WPARAM, LPARAM lParam)
    {
        // An idle pass during a message must not free the temporaries the
        // message is using.
        pTempSeen = CWnd::FromHandle((HWND)lParam);
        AfxGetApp()->OnIdle(1);
        bTempSurvived = CWndHandleMap::GetThreadMap()->LookupTemporary((HWND)lParam) == pTempSeen;
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CLeafWnd, CWnd)
    ON_MESSAGE(WM_APP + 40, OnIdleInside)
END_MESSAGE_MAP()

TEST(Temporaries, TemporaryWindowsAreFreedAtIdleButNeverDuringAMessage)
{
    HWND hWnd = ::CreateWindowEx(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
    CWnd* pTemp = CWnd::FromHandle(hWnd);
    ASSERT_TRUE(pTemp != NULL);
    EXPECT_EQ(hWnd, pTemp->m_hWnd);
    EXPECT_EQ(pTemp, CWnd::FromHandle(hWnd));   // one temporary per handle
    EXPECT_EQ(NULL, CWnd::FromHandlePermanent(hWnd));

    CLeafWnd leaf;
    ASSERT_TRUE(leaf.CreateEx(0, PlainClass(), "", WS_POPUP, 0, 0, 10, 10, NULL, NULL));
    leaf.SendMessage(WM_APP + 40, 0, (LPARAM)hWnd);
    EXPECT_TRUE(leaf.bTempSurvived);

    theApp.OnIdle(1);
    EXPECT_EQ(NULL, CWndHandleMap::GetThreadMap()->LookupTemporary(hWnd));
    EXPECT_EQ(0, CWndHandleMap::GetThreadMap()->GetTemporaryCount());
    // Permanent objects are untouched.
    EXPECT_EQ(&leaf, CWnd::FromHandlePermanent(leaf.m_hWnd));
    leaf.DestroyWindow();
    ::DestroyWindow(hWnd);
}

class CCountedTarget : public CCmdTarget
{
public:
    explicit CCountedTarget(BOOL* pbDeleted) : m_pbDeleted(pbDeleted) {}
    virtual ~CCountedTarget() { *m_pbDeleted = TRUE; }
    BOOL* m_pbDeleted;
};

TEST(ReferenceCounts, TheLastReleaseDeletesThroughTheVirtualDestructor)
{
    BOOL bDeleted = FALSE;
    CCmdTarget* pTarget = new CCountedTarget(&bDeleted);
    EXPECT_EQ(2u, pTarget->InternalAddRef());
    EXPECT_EQ(3u, pTarget->ExternalAddRef());
    EXPECT_EQ(2u, pTarget->InternalRelease());
    EXPECT_EQ(1u, pTarget->ExternalRelease());
    EXPECT_FALSE(bDeleted);

    LPVOID pv = (LPVOID)1;
    EXPECT_EQ((DWORD)E_NOINTERFACE, pTarget->ExternalQueryInterface(&IID_IUnknown, &pv));
    EXPECT_EQ(NULL, pv);
    EXPECT_EQ(NULL, pTarget->GetIDispatch(FALSE));

    EXPECT_EQ(0u, pTarget->ExternalRelease());
    EXPECT_TRUE(bDeleted);
}

} // namespace
