// The control base, its actions and the push button: effective texts and
// states, prompts, comparison and copies, execution and the press loop,
// reference counts and accessibility.
// ctest: run-serial (the press loop ends when the bar loses the capture)
#include "support/commandbars_testframe.h"
#include "XTPControlAction.h"
#include "XTPControlButton.h"

using namespace cbtest;

namespace
{
// A bar window with a site of its own, for execution tests.
class SiteWnd : public CWnd
{
public:
    std::vector<UINT> commands;
    std::vector<UINT> notifications;
    LRESULT answer = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_COMMAND)
        {
            commands.push_back(LOWORD(wParam));
            return 0;
        }
        if (message == WM_XTP_COMMAND)
        {
            notifications.push_back(((NMXTPCONTROL*)lParam)->hdr.code);
            return answer;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

class ControlTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        PrepareTheme();
        m_nLive = LiveObjects();
    }
    void TearDown() override
    {
        PumpAndIdle();
        EXPECT_EQ(m_nLive, LiveObjects()) << "every control and bar made by the test is gone";
    }
    LONG m_nLive = 0;
};
} // namespace

TEST_F(ControlTest, EffectiveTextsFallBackToTheAction)
{
    CXTPCommandBars* pCommandBars = new CXTPCommandBars();
    CXTPControlAction* pAction = pCommandBars->CreateAction(4711);
    pAction->SetTooltip(_T("Tip only"));

    CXTPControlButton* pButton = new CXTPControlButton();
    pButton->SetCaption(_T("Mine"));
    pButton->SetAction(pAction);
    EXPECT_STREQ("", pButton->m_strCaption) << "linking empties the control's own caption";
    EXPECT_STREQ("Tip only", pButton->GetCaption()) << "no caption anywhere: the action's tooltip";
    pAction->SetCaption(_T("From &action\tCtrl+A"));
    EXPECT_STREQ("From &action", pButton->GetCaption()) << "the action keeps the part before the tab";
    pButton->SetCustomCaption(_T("Custom"));
    EXPECT_STREQ("Custom", pButton->GetCaption());

    EXPECT_EQ(4711, pButton->GetID());
    EXPECT_EQ(4711, pButton->GetIconId()) << "without icon ids: the action's id";
    pAction->SetIconId(12);
    EXPECT_EQ(12, pButton->GetIconId());
    pButton->SetCustomIconId(99);
    EXPECT_EQ(99, pButton->GetIconId());

    // States follow the action while the control's own are -1.
    EXPECT_EQ(-1, pButton->GetEnabledState());
    pAction->SetEnabled(FALSE);
    EXPECT_FALSE(pButton->GetEnabled());
    pCommandBars->m_bCustomizeMode = TRUE;
    EXPECT_TRUE(pButton->GetEnabled()) << "every action reads as enabled while customizing";
    pCommandBars->m_bCustomizeMode = FALSE;
    pAction->SetChecked(1);
    EXPECT_EQ(1, pButton->GetChecked());
    pAction->SetVisible(FALSE);
    EXPECT_FALSE(pButton->IsVisible());

    // Unlinking restores the own states (not the texts).
    pButton->SetAction(NULL);
    EXPECT_EQ(TRUE, pButton->GetEnabledState());
    EXPECT_EQ(0, pButton->GetChecked());
    EXPECT_EQ(0, pAction->GetControlCount());

    pButton->InternalRelease();
    pCommandBars->InternalRelease();
}

TEST_F(ControlTest, ActionsCollection)
{
    CXTPCommandBars* pCommandBars = new CXTPCommandBars();
    CXTPControlActions* pActions = pCommandBars->GetActions();
    EXPECT_EQ(NULL, pActions->FindAction(0));
    EXPECT_EQ(NULL, pActions->FindAction(0x0FFFFFFF));
    CXTPControlAction* pAction = pActions->Add(ID_NEW_PUZZLE);
    EXPECT_EQ(pAction, pActions->Add(ID_NEW_PUZZLE)) << "one action per id";
    EXPECT_EQ(pAction, pActions->FindAction(ID_NEW_PUZZLE));
    EXPECT_STREQ("New Puzzle", pAction->GetTooltip()) << "the prompt comes from the id's string";
    EXPECT_STREQ("Start a new puzzle", pAction->GetDescription());
    EXPECT_STREQ("", pAction->GetCaption()) << "an action's prompt never sets its caption";
    EXPECT_THROW(pActions->GetAt(5), CInvalidArgException*);

    // Setting the same caption again tells nobody.
    struct Watcher : public CXTPControlButton
    {
        int nChanging = 0;
        int nChanged = 0;
        void OnActionChanging(int nProperty) override { nChanging += nProperty == 3; }
        void OnActionChanged(int nProperty) override { nChanged += nProperty == 3; }
    };
    Watcher* pWatcher = new Watcher();
    pWatcher->SetAction(pAction);
    pAction->SetCaption(_T("Same"));
    pAction->SetCaption(_T("Same\tignored"));
    EXPECT_EQ(1, pWatcher->nChanging);
    EXPECT_EQ(1, pWatcher->nChanged);

    pActions->RemoveAll();
    EXPECT_EQ(NULL, pWatcher->GetAction()) << "removing the actions unlinks their controls";
    pWatcher->InternalRelease();
    pCommandBars->InternalRelease();
}

TEST_F(ControlTest, CaptionAndPromptParsing)
{
    CXTPControlButton* pButton = new CXTPControlButton();
    CXTPCommandBar* pBar = new CXTPCommandBar();
    pBar->GetControls()->Add(pButton, 0);
    pBar->m_dwIdleFlags = 0;

    pButton->SetCaption(_T("&Open\tCtrl+O"));
    EXPECT_STREQ("&Open", pButton->m_strCaption);
    EXPECT_STREQ("Ctrl+O", pButton->GetShortcutText());
    EXPECT_TRUE(pBar->IsLayoutPending());
    pBar->m_dwIdleFlags = 0;
    pButton->SetCaption(_T("&Open\tCtrl+O"));
    EXPECT_FALSE(pBar->IsLayoutPending()) << "the same text changes nothing";

    CXTPControlButton* pOther = new CXTPControlButton();
    pOther->SetPrompt(_T("Describes it\nTip"));
    EXPECT_STREQ("Tip", pOther->GetTooltip());
    EXPECT_STREQ("Describes it", pOther->GetDescription());
    EXPECT_STREQ("Tip", pOther->GetCaption()) << "an empty caption takes the tooltip";
    CXTPControlButton* pThird = new CXTPControlButton();
    pThird->SetPrompt(_T("Describes it\nTip\nThird"));
    EXPECT_STREQ("Third", pThird->GetCaption()) << "a third part is the caption";
    pThird->SetPrompt(_T(""));
    EXPECT_STREQ("Tip", pThird->GetTooltip()) << "an empty prompt does nothing";

    pOther->SetID(ID_BRANCH_BEGIN);
    EXPECT_EQ(ID_BRANCH_BEGIN, pOther->GetID());
    EXPECT_STREQ("Branch", pOther->GetTooltip()) << "a new id loads its string";

    pOther->InternalRelease();
    pThird->InternalRelease();
    pBar->InternalRelease();
}

TEST_F(ControlTest, CaptionVisibilityByStyleAndType)
{
    CXTPCommandBar* pBar = new CXTPCommandBar();
    CXTPControl* pButton = pBar->GetControls()->Add(xtpControlButton, 0);
    CXTPControl* pPopup = pBar->GetControls()->Add(xtpControlPopup, 0);
    EXPECT_FALSE(pButton->IsCaptionVisible()) << "no caption";
    pButton->SetCaption(_T("Go"));
    pPopup->SetCaption(_T("More"));
    EXPECT_TRUE(pButton->IsCaptionVisible()) << "automatic style without an icon shows the caption";
    EXPECT_TRUE(pPopup->IsCaptionVisible());
    pButton->SetStyle(xtpButtonIcon);
    EXPECT_FALSE(pButton->IsCaptionVisible());
    pButton->SetCustomStyle(xtpButtonCaption);
    EXPECT_TRUE(pButton->IsCaptionVisible()) << "the user's style wins";
    pBar->SetDefaultButtonStyle(xtpButtonIcon);
    EXPECT_FALSE(pPopup->IsCaptionVisible()) << "the bar's default style shows icons only";
    pBar->m_barType = xtpBarTypePopup;
    EXPECT_TRUE(pPopup->IsCaptionVisible()) << "always on popup bars";
    pBar->InternalRelease();
}

TEST_F(ControlTest, CompareCopyAndClone)
{
    CXTPControlButton* pButton = new CXTPControlButton();
    pButton->SetCaption(_T("Caption"));
    pButton->SetFlags(xtpFlagRightAlign);
    pButton->SetBeginGroup(TRUE);
    pButton->SetParameter(_T("p"));
    pButton->SetWidth(40);
    pButton->GetDocTemplatesAssigned().SetAt(7, TRUE);

    CXTPControl* pClone = pButton->Clone();
    EXPECT_TRUE(pClone->IsKindOf(RUNTIME_CLASS(CXTPControlButton)));
    EXPECT_TRUE(pButton->Compare(pClone));
    EXPECT_EQ(40, pClone->GetWidth());
    EXPECT_EQ(1, (int)pClone->GetDocTemplatesAssigned().GetCount());
    pClone->SetHideFlag(xtpHideWrap, TRUE);
    EXPECT_TRUE(pButton->Compare(pClone)) << "only the user's hide flag counts";
    pClone->SetHideFlag(xtpHideCustomize, TRUE);
    EXPECT_FALSE(pButton->Compare(pClone));
    pClone->SetHideFlags(0);
    pClone->SetParameter(_T("q"));
    EXPECT_FALSE(pButton->Compare(pClone));
    pClone->InternalRelease();
    pButton->InternalRelease();
}

TEST_F(ControlTest, ExecutionNotifiesTheSiteThenSendsTheCommand)
{
    SiteWnd site;
    ASSERT_TRUE(site.CreateEx(0, AfxRegisterWndClass(0), _T("site"), WS_POPUP, CRect(0, 0, 10, 10), NULL, 0));
    CXTPCommandBar* pBar = new CXTPCommandBar();
    ASSERT_TRUE(pBar->CreateEx(0, AfxRegisterWndClass(0), _T("bar"), WS_CHILD, CRect(0, 0, 100, 20), &site, 0));
    pBar->m_barPosition = xtpBarTop;
    CXTPControl* pButton = pBar->GetControls()->Add(xtpControlButton, 777);
    CXTPControl* pNoId = pBar->GetControls()->Add(xtpControlButton, 0);

    pButton->OnExecute();
    ASSERT_EQ(1u, site.notifications.size());
    EXPECT_EQ((UINT)CBN_XTP_EXECUTE, site.notifications[0]);
    ASSERT_EQ(1u, site.commands.size());
    EXPECT_EQ(777u, site.commands[0]);

    site.answer = 1;
    pButton->OnExecute();
    EXPECT_EQ(1u, site.commands.size()) << "a site that handles the notification gets no WM_COMMAND";

    site.answer = 0;
    pNoId->OnExecute();
    EXPECT_EQ(1u, site.commands.size()) << "a control without an id sends nothing";

    pBar->InternalRelease();
    site.DestroyWindow();
}

TEST_F(ControlTest, PressLoopRepeatsWhileHeldAndClicksOnRelease)
{
    SiteWnd site;
    ASSERT_TRUE(site.CreateEx(0, AfxRegisterWndClass(0), _T("site"), WS_POPUP | WS_VISIBLE, CRect(0, 0, 200, 50),
                              NULL, 0));
    CXTPCommandBar* pBar = new CXTPCommandBar();
    ASSERT_TRUE(pBar->CreateEx(0, AfxRegisterWndClass(0), _T("bar"), WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 30),
                               &site, 0));
    pBar->m_barPosition = xtpBarTop;
    CXTPControl* pButton = pBar->GetControls()->Add(xtpControlButton, 500);
    pButton->SetRect(CRect(10, 2, 40, 28));

    // A plain press: the command goes once, on release inside.
    pBar->PostMessage(WM_MOUSEMOVE, 0, MAKELPARAM(20, 10));
    pBar->PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(20, 10));
    pButton->TrackPress();
    EXPECT_EQ(1u, site.commands.size());
    EXPECT_EQ(0, pButton->GetPressed());
    EXPECT_EQ(-1, pBar->GetSelected());

    // Released outside: no command.
    pBar->PostMessage(WM_MOUSEMOVE, 0, MAKELPARAM(120, 10));
    pBar->PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(120, 10));
    pButton->TrackPress();
    EXPECT_EQ(1u, site.commands.size());

    // With auto-repeat: at once, then on every tick, nothing on release.
    site.commands.clear();
    pButton->SetExecuteOnPressInterval(200);
    pBar->PostMessage(WM_TIMER, XTP_TID_EXECUTEONPRESS);
    pBar->PostMessage(WM_TIMER, XTP_TID_EXECUTEONPRESS);
    pBar->PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(20, 10));
    pButton->TrackPress();
    EXPECT_EQ(3u, site.commands.size());

    pBar->InternalRelease();
    site.DestroyWindow();
}

TEST_F(ControlTest, QuitDuringPressStillReachesTheLoop)
{
    SiteWnd site;
    ASSERT_TRUE(site.CreateEx(0, AfxRegisterWndClass(0), _T("site"), WS_POPUP | WS_VISIBLE, CRect(0, 0, 200, 50),
                              NULL, 0));
    CXTPCommandBar* pBar = new CXTPCommandBar();
    ASSERT_TRUE(pBar->CreateEx(0, AfxRegisterWndClass(0), _T("bar"), WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 30),
                               &site, 0));
    pBar->m_barPosition = xtpBarTop;
    CXTPControl* pButton = pBar->GetControls()->Add(xtpControlButton, 500);
    pButton->SetRect(CRect(10, 2, 40, 28));
    ::PostQuitMessage(3);
    pButton->TrackPress();
    EXPECT_TRUE(site.commands.empty());
    MSG msg;
    ASSERT_TRUE(::PeekMessage(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(3, (int)msg.wParam);
    pBar->InternalRelease();
    site.DestroyWindow();
}

TEST_F(ControlTest, CollectionHoldsOneReferenceAndReleasesOnRemoval)
{
    CXTPControls* pControls = new CXTPControls();
    CXTPControl* pButton = pControls->Add(xtpControlButton, 1);
    EXPECT_EQ(1, pButton->m_dwRef);
    pButton->InternalAddRef();
    pControls->Remove(pButton);
    EXPECT_EQ(1, pButton->m_dwRef) << "the collection gave its reference back";
    EXPECT_EQ(NULL, pButton->GetControls());
    EXPECT_EQ(NULL, pButton->GetParent());
    pButton->InternalRelease();
    pControls->InternalRelease();
}

TEST_F(ControlTest, AccessibleFace)
{
    CXTPCommandBar* pBar = new CXTPCommandBar();
    CXTPControl* pButton = pBar->GetControls()->Add(xtpControlButton, 0);
    pButton->SetCaption(_T("&Save && Close\tCtrl+S"));
    VARIANT self;
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;

    // The caption without its access key's marks, once ("&&" is one '&'),
    // as the control gives it and as a client reads it; without a caption
    // the tip, whose marks a client does not get.
    BSTR bstrName = NULL;
    ASSERT_EQ(S_OK, pButton->GetAccessibleName(self, &bstrName));
    EXPECT_STREQ(L"Save & Close\tCtrl+S", bstrName);
    ::SysFreeString(bstrName);
    ASSERT_EQ(S_OK, pButton->GetAccessible()->get_accName(self, &bstrName));
    EXPECT_STREQ(L"Save & Close\tCtrl+S", bstrName);
    ::SysFreeString(bstrName);
    CXTPControl* pTipped = pBar->GetControls()->Add(xtpControlButton, 0);
    pTipped->SetTooltip(_T("&Close"));
    ASSERT_EQ(S_OK, pTipped->GetAccessibleName(self, &bstrName));
    EXPECT_STREQ(L"&Close", bstrName);
    ::SysFreeString(bstrName);
    ASSERT_EQ(S_OK, pTipped->GetAccessible()->get_accName(self, &bstrName));
    EXPECT_STREQ(L"Close", bstrName);
    ::SysFreeString(bstrName);

    VARIANT role;
    ASSERT_EQ(S_OK, pButton->GetAccessible()->get_accRole(self, &role));
    EXPECT_EQ(ROLE_SYSTEM_PUSHBUTTON, role.lVal) << "a button on a toolbar";
    pBar->m_barType = xtpBarTypePopup;
    ASSERT_EQ(S_OK, pButton->GetAccessible()->get_accRole(self, &role));
    EXPECT_EQ(ROLE_SYSTEM_MENUITEM, role.lVal);

    pButton->SetEnabled(FALSE);
    VARIANT state;
    ASSERT_EQ(S_OK, pButton->GetAccessible()->get_accState(self, &state));
    EXPECT_TRUE(state.lVal & STATE_SYSTEM_UNAVAILABLE);
    EXPECT_TRUE(state.lVal & STATE_SYSTEM_INVISIBLE) << "the bar has no window";

    VARIANT bad;
    bad.vt = VT_I4;
    bad.lVal = 2;
    EXPECT_EQ(E_INVALIDARG, pButton->GetAccessible()->get_accName(bad, &bstrName));
    pBar->InternalRelease();
}
