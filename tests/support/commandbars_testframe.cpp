// The command-bar tests' frame and helpers.
#include "support/commandbars_testframe.h"
#include "support/wndtest.h"
#include "support/snapshot.h"
#include "support/trackedpopup.h"

namespace cbtest
{
IMPLEMENT_DYNCREATE(CTestFrame, CXTPFrameWnd)

BEGIN_MESSAGE_MAP(CTestFrame, CXTPFrameWnd)
    ON_WM_CREATE()
    ON_MESSAGE(WM_XTP_BEFORECREATECONTROL, OnBeforeCreateControl)
    ON_MESSAGE(WM_XTP_AFTERCREATECONTROL, OnAfterCreateControl)
    ON_MESSAGE(WM_XTP_CREATECOMMANDBAR, OnCreateCommandBar)
    ON_MESSAGE(WM_XTP_INITMENU, OnOtherSiteMessage)
    ON_MESSAGE(WM_XTP_CONTROLSELECTED, OnOtherSiteMessage)
    ON_MESSAGE(WM_XTP_TOOLBARRESET, OnOtherSiteMessage)
    ON_MESSAGE(WM_XTP_INITCOMMANDSPOPUP, OnOtherSiteMessage)
    ON_MESSAGE(WM_XTP_UNINITCOMMANDSPOPUP, OnOtherSiteMessage)
    ON_MESSAGE(WM_XTP_TOOLBARVISIBLECHANGED, OnOtherSiteMessage)
    ON_MESSAGE(WM_XTP_CUSTOMIZATION_ADDTOOLBAR, OnOtherSiteMessage)
    ON_MESSAGE(WM_XTP_CUSTOMIZATION_DELETETOOLBAR, OnOtherSiteMessage)
    ON_COMMAND_RANGE(2001, 2099, OnCommandRange)
    ON_COMMAND_RANGE(57600, 57700, OnCommandRange)
    ON_UPDATE_COMMAND_UI(ID_BRANCH_BEGIN, OnUpdateBranch)
    ON_UPDATE_COMMAND_UI(ID_BRANCH_ACCEPT, OnUpdateBranchEnd)
    ON_UPDATE_COMMAND_UI(ID_BRANCH_REVERT, OnUpdateBranchEnd)
    ON_UPDATE_COMMAND_UI_RANGE(ID_TIMER_ELAPSED, ID_TIMER_TARGET, OnUpdateClockMode)
    ON_COMMAND(ID_VIEW_CUSTOMIZE, OnCustomize)
END_MESSAGE_MAP()

CTestFrame::CTestFrame()
    : m_bBranchOpen(FALSE)
    , m_nClockMode(0)
    , m_nReplaceId(0)
    , m_pReplacement(NULL)
    , m_pStandard(NULL)
    , m_pTimer(NULL)
{
}

CTestFrame::~CTestFrame()
{
    if (m_pReplacement != NULL)
        m_pReplacement->InternalRelease();
}

BOOL CTestFrame::CreateTestFrame(const CRect& rc, BOOL bShow)
{
    if (!Create(NULL, _T("Command bars"), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, rc))
        return FALSE;
    if (bShow)
    {
        ShowWindow(SW_SHOWNORMAL);
        SetForegroundWindow();
        UpdateWindow();
    }
    RecalcLayout();
    return TRUE;
}

void CTestFrame::DestroyTestFrame()
{
    if (m_hWnd == NULL)
        return;
    ::SetWindowPos(m_hWnd, NULL, 0, 0, 0, 0,
                   SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    DestroyWindow();
}

CXTPMenuBar* CTestFrame::GetMenuBar() const
{
    return m_pCommandBars != NULL ? m_pCommandBars->GetMenuBar() : NULL;
}

int CTestFrame::CountSite(UINT nMessage) const
{
    int nCount = 0;
    for (size_t i = 0; i < m_arrSite.size(); i++)
    {
        if (m_arrSite[i].nMessage == nMessage)
            nCount++;
    }
    return nCount;
}

int CTestFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CXTPFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!InitCommandBars())
        return -1;
    m_pCommandBars->GetCommandBarsOptions()->animationType = 5;
    if (m_pCommandBars->CreateMenuBar(_T("Menu Bar"), IDR_MAINFRAME) == NULL)
        return -1;
    m_pStandard = m_pCommandBars->Add(_T("Standard"), xtpBarTop);
    if (m_pStandard == NULL || !m_pStandard->LoadToolBar(IDR_MAINFRAME))
        return -1;
    m_pTimer = m_pCommandBars->Add(_T("Timer"), xtpBarTop);
    if (m_pTimer == NULL || !m_pTimer->LoadToolBar(IDR_TIMER_TOOLBAR))
        return -1;
    m_pTimer->SetCustomizable(FALSE);

    // The Timer bar goes right of the Standard bar.
    RepositionBars(AFX_IDW_CONTROLBAR_FIRST, AFX_IDW_CONTROLBAR_LAST, AFX_IDW_PANE_FIRST);
    CRect rc;
    m_pStandard->GetWindowRect(&rc);
    rc.OffsetRect(rc.Width(), 0);
    m_pCommandBars->DockCommandBar(m_pTimer, &rc, m_pStandard->GetDockBar());
    m_pCommandBars->GetShortcutManager()->LoadAccelerators(IDR_MAINFRAME);
    return 0;
}

LRESULT CTestFrame::OnBeforeCreateControl(WPARAM wParam, LPARAM lParam)
{
    XTP_COMMANDBARS_CREATECONTROL* pCreate = (XTP_COMMANDBARS_CREATECONTROL*)lParam;
    m_arrSite.push_back(SiteMessage{ WM_XTP_BEFORECREATECONTROL, wParam, lParam, pCreate->nID });
    if (m_nReplaceId != 0 && pCreate->nID == m_nReplaceId && m_pReplacement != NULL)
    {
        m_pReplacement->InternalAddRef();
        pCreate->pControl = m_pReplacement;
        return TRUE;
    }
    return FALSE;
}

LRESULT CTestFrame::OnAfterCreateControl(WPARAM wParam, LPARAM lParam)
{
    XTP_COMMANDBARS_CREATECONTROL* pCreate = (XTP_COMMANDBARS_CREATECONTROL*)lParam;
    m_arrSite.push_back(SiteMessage{ WM_XTP_AFTERCREATECONTROL, wParam, lParam, pCreate->nID });
    return 0;
}

LRESULT CTestFrame::OnCreateCommandBar(WPARAM wParam, LPARAM lParam)
{
    XTP_COMMANDBARS_CREATEBAR* pCreate = (XTP_COMMANDBARS_CREATEBAR*)lParam;
    // An expand popup is recorded with id -1.
    m_arrSite.push_back(SiteMessage{ WM_XTP_CREATECOMMANDBAR, wParam, lParam,
                                     pCreate->bExpandBar ? -1 : (int)pCreate->nID });
    return 0;
}

LRESULT CTestFrame::OnOtherSiteMessage(WPARAM wParam, LPARAM lParam)
{
    const MSG* pMsg = GetCurrentMessage();
    m_arrSite.push_back(SiteMessage{ pMsg != NULL ? pMsg->message : 0, wParam, lParam, 0 });
    return 0;
}

void CTestFrame::OnCommandRange(UINT nID)
{
    m_arrCommands.push_back(nID);
}

void CTestFrame::OnUpdateBranch(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(!m_bBranchOpen);
}

void CTestFrame::OnUpdateBranchEnd(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_bBranchOpen);
}

void CTestFrame::OnUpdateClockMode(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck((int)pCmdUI->m_nID - ID_TIMER_ELAPSED == m_nClockMode);
}

void CTestFrame::OnCustomize()
{
}

void PrepareTheme(int nTheme)
{
    CXTPPaintManager::SetTheme(nTheme);
    CXTPPaintManager* pPaintManager = CXTPPaintManager::GetGlobalPaintManager();
    pPaintManager->EnableShadow(FALSE);
    pPaintManager->m_bEnableAnimation = FALSE;
}

void PumpAndIdle(int nMaxMessages)
{
    testsupport::PumpPending(nMaxMessages);
    CWinApp* pApp = AfxGetApp();
    if (pApp != NULL)
    {
        pApp->OnIdle(0);
        pApp->OnIdle(1);
    }
}

std::vector<CString> Layout(CXTPCommandBar* pBar)
{
    std::vector<CString> result;
    for (int i = 0; i < pBar->GetControlCount(); i++)
    {
        CXTPControl* pControl = pBar->GetControl(i);
        if (pControl->IsTemporary())
            continue;
        if (pControl->GetBeginGroup())
            result.push_back(_T("|"));
        result.push_back(pControl->GetCaption());
    }
    return result;
}

std::vector<int> Ids(CXTPCommandBar* pBar)
{
    std::vector<int> result;
    for (int i = 0; i < pBar->GetControlCount(); i++)
    {
        CXTPControl* pControl = pBar->GetControl(i);
        if (pControl->IsTemporary())
            continue;
        if (pControl->GetBeginGroup())
            result.push_back(0);
        result.push_back(pControl->GetID());
    }
    return result;
}

bool SaveScreenSnapshot(HWND hWnd, const char* pszName)
{
    CRect rc;
    ::GetWindowRect(hWnd, &rc);
    HDC hScreen = ::GetDC(NULL);
    testsupport::Canvas canvas(rc.Width(), rc.Height());
    ::BitBlt(canvas.Handle(), 0, 0, rc.Width(), rc.Height(), hScreen, rc.left, rc.top, SRCCOPY);
    ::ReleaseDC(NULL, hScreen);
    return !testsupport::SaveSnapshot(canvas, pszName).empty();
}

LONG LiveObjects()
{
    return CXTPControl::GetInstanceCount() + CXTPCommandBar::GetInstanceCount() +
           CXTPCommandBars::GetInstanceCount();
}

CXTPPopupBar* TopTrackedPopup()
{
    return testsupport::InnermostTrackedPopup();
}

CXTPControlPopup* FindPopup(CXTPCommandBar* pBar, LPCTSTR pszCaption)
{
    CXTPControls* pControls = pBar->GetControls();
    for (int i = 0; i < pControls->GetCount(); i++)
    {
        CXTPControlPopup* pPopup = DYNAMIC_DOWNCAST(CXTPControlPopup, pControls->GetAt(i));
        if (pPopup != NULL && pPopup->GetCaption() == pszCaption)
            return pPopup;
    }
    return NULL;
}

void CommandBarsFrameTest::SetUp()
{
    PrepareTheme();
    m_nLive = LiveObjects();
    m_pFrame = MakeFrame();
    ASSERT_TRUE(m_pFrame->CreateTestFrame());
    m_pCommandBars = m_pFrame->GetCommandBars();
}

void CommandBarsFrameTest::TearDown()
{
    XTPMouseManager()->CloseAllTracked();
    if (m_pFrame != NULL)
        m_pFrame->DestroyTestFrame();
    PumpAndIdle();
    EXPECT_EQ(m_nLive, LiveObjects());
}
} // namespace cbtest

// The program's application object and the window layer's set-up.
CWinApp theApp(_T("CommandBarsTest"));
::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new testsupport::Environment);
