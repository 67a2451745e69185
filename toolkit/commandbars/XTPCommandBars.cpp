// The command-bars collection: creating, docking and removing bars, the
// frame's messages and keys, popup tracking, hidden commands and options.
#include "XTPCommandBars.h"
#include "XTPCustomizeDragTracker.h"
#include "XTPCustomizeSheet.h"
#include "XTPToolBar.h"
#include "XTPMenuBar.h"
#include "XTPPopupBar.h"
#include "XTPDockBar.h"
#include "XTPControls.h"
#include "XTPControlPopup.h"
#include "XTPControlAction.h"
#include "XTPCommandBarsOptions.h"
#include "XTPShortcutManager.h"
#include "XTPToolTipContext.h"
#include "XTPPaintManager.h"
#include "XTPImageManager.h"
#include "XTPColorManager.h"
#include "XTPPropExchange.h"
#include <XTPTabClientTarget.h>
#include "XTPSoundManager.h"
#include "XTPDrawHelpers.h"

IMPLEMENT_DYNCREATE(CXTPCommandBars, CCmdTarget)

LONG CXTPCommandBars::s_nInstanceCount = 0;

// The rebar a frame may host instead of dock bars.
#define XTP_IDW_REBAR 0xE804
#define XTP_IDW_STATUSBAR 0xE801

CXTPPopupBar* CXTPCommandBarsContextMenus::Add(CXTPPopupBar* pPopupBar)
{
    if (pPopupBar == NULL)
        return NULL;
    CXTPCommandBarList::Add(pPopupBar);
    pPopupBar->SetContextMenu(TRUE);
    if (pPopupBar->GetCommandBars() == NULL)
        pPopupBar->SetCommandBars(m_pCommandBars);
    return pPopupBar;
}

CXTPCommandBars::CXTPCommandBars()
    : m_pAttachedObject(NULL)
    , m_bIgnoreShiftMenuKey(FALSE)
    , m_pKeyboardTipsOwner(NULL)
    , m_nKeyboardTipsLevel(0)
    , m_pDragTracker(NULL)
    , m_pPaintManager(NULL)
    , m_pImageManager(NULL)
    , m_pDragSelected(NULL)
    , m_bCustomizeMode(FALSE)
    , m_bCustomizable(FALSE)
    , m_nDefaultMenuID(0)
    , m_bQuickCustomizeMode(FALSE)
    , m_pOptions(NULL)
    , m_pContextMenus(NULL)
    , m_pFrame(NULL)
    , m_pToolTipContext(NULL)
    , m_pMouseManager(NULL)
    , m_bKeyboardCuesVisible(TRUE)
    , m_pShortcutManager(NULL)
    , m_nHelpTrackingID(0)
    , m_pActions(NULL)
    , m_bRecalcLayout(FALSE)
    , m_bCuesFollowSystem(FALSE)
    , m_bRightToLeft(FALSE)
    , m_bEnableActions(FALSE)
    , m_bCustomizeAll(FALSE)
{
    for (int i = 0; i < 4; i++)
        m_pDocks[i] = NULL;
    m_pBarClasses[classToolBar] = RUNTIME_CLASS(CXTPToolBar);
    m_pBarClasses[classMenuBar] = RUNTIME_CLASS(CXTPMenuBar);
    m_pBarClasses[classPopupBar] = RUNTIME_CLASS(CXTPPopupBar);
    m_pBarClasses[classPopupToolBar] = RUNTIME_CLASS(CXTPPopupToolBar);
    m_pBarClasses[classDockBar] = RUNTIME_CLASS(CXTPDockBar);

    m_pOptions = new CXTPCommandBarsOptions();
    m_pOptions->SetCommandBars(this);
    m_pContextMenus = new CXTPCommandBarsContextMenus(this);
    m_pToolTipContext = new CXTPToolTipContext();
    m_pToolTipContext->SetStyle(CXTPToolTipContext::xtpToolTipOffice);
    m_pShortcutManager = new CXTPShortcutManager(this);
    m_pActions = new CXTPControlActions(this);
    m_pDragTracker = new CXTPCustomizeDragTracker(this);
    InterlockedIncrement(&s_nInstanceCount);
}

CXTPCommandBars::~CXTPCommandBars()
{
    SetDragControl(NULL);
    if (m_pAttachedObject != NULL)
    {
        m_pAttachedObject->InternalRelease();
        m_pAttachedObject = NULL;
    }
    HideKeyboardTips();
    m_pContextMenus->RemoveAll();
    m_pContextMenus->InternalRelease();
    m_pContextMenus = NULL;

    RemoveAll();
    for (int i = 0; i < 4; i++)
    {
        if (m_pDocks[i] != NULL)
        {
            if (m_pDocks[i]->GetSafeHwnd() != NULL)
                m_pDocks[i]->DestroyWindow();
            delete m_pDocks[i];
            m_pDocks[i] = NULL;
        }
    }
    m_pDragTracker->UnregisterAll();
    delete m_pDragTracker;
    m_pDragTracker = NULL;
    if (m_pPaintManager != NULL)
        m_pPaintManager->InternalRelease();
    if (m_pImageManager != NULL)
        m_pImageManager->InternalRelease();
    m_pToolTipContext->InternalRelease();
    m_pShortcutManager->InternalRelease();
    m_pOptions->InternalRelease();
    // No menu sound outlives the bars that asked for it.
    XTPSoundManager()->StopThread();
    m_pActions->RemoveAll();
    m_pActions->InternalRelease();
    InterlockedDecrement(&s_nInstanceCount);
}

//////////////////////////////////////////////////////////////////////////
// Services

CXTPPaintManager* CXTPCommandBars::GetPaintManager() const
{
    return m_pPaintManager != NULL ? m_pPaintManager : CXTPPaintManager::GetGlobalPaintManager();
}

void CXTPCommandBars::SetPaintManager(CXTPPaintManager* pPaintManager)
{
    if (m_pPaintManager != NULL)
        m_pPaintManager->InternalRelease();
    m_pPaintManager = pPaintManager;
    if (m_pPaintManager != NULL)
        m_pPaintManager->RefreshMetrics();
}

CXTPImageManager* CXTPCommandBars::GetImageManager() const
{
    return m_pImageManager != NULL ? m_pImageManager : XTPImageManager();
}

void CXTPCommandBars::SetImageManager(CXTPImageManager* pImageManager)
{
    if (m_pImageManager != NULL)
        m_pImageManager->InternalRelease();
    m_pImageManager = pImageManager;
}

CXTPMouseManager* CXTPCommandBars::GetMouseManager() const
{
    if (m_pMouseManager == NULL)
        m_pMouseManager = XTPMouseManager();
    if (m_pMouseManager == NULL)
        AfxThrowInvalidArgException();
    return m_pMouseManager;
}

CXTPReBar* CXTPCommandBars::GetReBar() const
{
    if (m_pFrame == NULL || m_pFrame->GetSafeHwnd() == NULL)
        return NULL;
    HWND hWnd = ::GetDlgItem(m_pFrame->GetSafeHwnd(), XTP_IDW_REBAR);
    return DYNAMIC_DOWNCAST(CXTPReBar, CWnd::FromHandlePermanent(hWnd));
}

CXTPControlAction* CXTPCommandBars::CreateAction(int nId)
{
    return m_pActions->Add(nId);
}

CXTPControlAction* CXTPCommandBars::FindAction(int nId) const
{
    return m_pActions->FindAction(nId);
}

//////////////////////////////////////////////////////////////////////////
// The site and the bars

void CXTPCommandBars::SetSite(CWnd* pFrame)
{
    m_pFrame = pFrame;
    m_bCustomizable = FALSE;
    m_bRightToLeft = FALSE;
    if (pFrame == NULL)
        return;
    AFX_CMDHANDLERINFO info = { NULL, NULL };
    m_bCustomizable = pFrame->OnCmdMsg(XTP_ID_CUSTOMIZE, CN_COMMAND, NULL, &info);
    if (pFrame->GetSafeHwnd() != NULL)
        m_bRightToLeft = (pFrame->GetExStyle() & WS_EX_LAYOUTRTL) != 0;
}

void CXTPCommandBars::CreateDockBars()
{
    static const DWORD s_styles[4] = { 0x2800, 0x8200, 0x1400, 0x4100 };
    static const UINT s_ids[4] = { 0xE81B, 0xE81E, 0xE81C, 0xE81D };
    for (int i = 0; i < 4; i++)
    {
        if (m_pDocks[i] != NULL)
            continue;
        CRuntimeClass* pClass = m_pBarClasses[classDockBar];
        CXTPDockBar* pDockBar = NULL;
        if (pClass != NULL && pClass->IsDerivedFrom(RUNTIME_CLASS(CXTPDockBar)))
            pDockBar = (CXTPDockBar*)pClass->CreateObject();
        if (pDockBar == NULL)
            pDockBar = new CXTPDockBar();
        pDockBar->SetCommandBars(this);
        if (m_pFrame == NULL || !pDockBar->Create(m_pFrame, 0x56000000 | s_styles[i], s_ids[i]))
        {
            delete pDockBar;
            TRACE("CXTPCommandBars::CreateDockBars: a dock bar could not be created\n");
            AfxThrowResourceException();
        }
        m_pDocks[i] = pDockBar;
    }
}

CXTPToolBar* CXTPCommandBars::CreateToolBarObject(XTPBarClass nClass) const
{
    CRuntimeClass* pClass = m_pBarClasses[nClass];
    CXTPToolBar* pBar = NULL;
    if (pClass != NULL && pClass->IsDerivedFrom(RUNTIME_CLASS(CXTPToolBar)))
        pBar = (CXTPToolBar*)pClass->CreateObject();
    if (pBar == NULL)
        pBar = nClass == classMenuBar ? new CXTPMenuBar() : new CXTPToolBar();
    return pBar;
}

// Takes a bar that failed to come up out of its dock bar and releases it.
static void DiscardBar(CXTPToolBar* pBar)
{
    if (pBar->GetDockBar() != NULL)
        pBar->GetDockBar()->RemoveCommandBar(pBar);
    if (pBar->GetSafeHwnd() != NULL)
        pBar->DestroyWindow();
    pBar->InternalRelease();
}

CXTPMenuBar* CXTPCommandBars::CreateMenuBar(LPCTSTR lpszName, UINT nID)
{
    CXTPMenuBar* pMenuBar = DYNAMIC_DOWNCAST(CXTPMenuBar, CreateToolBarObject(classMenuBar));
    if (pMenuBar == NULL)
        return NULL;
    pMenuBar->SetCommandBars(this);
    pMenuBar->SetTitle(lpszName);
    pMenuBar->Redraw();
    pMenuBar->SetBarID(1);
    if (!DockCommandBar(pMenuBar, xtpBarTop))
    {
        DiscardBar(pMenuBar);
        return NULL;
    }
    if (!pMenuBar->LoadMenuBar(nID))
    {
        TRACE("CXTPCommandBars::CreateMenuBar: menu %u could not be loaded\n", nID);
        DiscardBar(pMenuBar);
        return NULL;
    }
    if (nID != 0)
    {
        pMenuBar->GetControls()->CreateOriginalControls();
        m_nDefaultMenuID = nID;
    }
    m_arrBars.Add(pMenuBar);
    return pMenuBar;
}

CXTPToolBar* CXTPCommandBars::Add(LPCTSTR lpszName, XTPBarPosition barPosition, CRuntimeClass* pToolbarClass)
{
    CXTPToolBar* pBar = NULL;
    if (pToolbarClass != NULL)
    {
        if (!pToolbarClass->IsDerivedFrom(RUNTIME_CLASS(CXTPToolBar)))
            return NULL;
        pBar = (CXTPToolBar*)pToolbarClass->CreateObject();
    }
    else
    {
        pBar = CreateToolBarObject(classToolBar);
    }
    if (pBar == NULL)
        return NULL;
    pBar->SetCommandBars(this);
    pBar->SetTitle(lpszName);
    BOOL bDocked = barPosition == xtpBarFloating ? FloatCommandBar(pBar) : DockCommandBar(pBar, barPosition);
    if (!bDocked)
    {
        DiscardBar(pBar);
        return NULL;
    }
    m_arrBars.Add(pBar);
    return pBar;
}

CXTPToolBar* CXTPCommandBars::CreateCustomToolBar(LPCTSTR lpszName, UINT nID, BOOL bTearOffBar)
{
    CXTPToolBar* pBar = CreateToolBarObject(classToolBar);
    pBar->SetCommandBars(this);

    XTP_COMMANDBARS_CREATEBAR cs;
    ZeroMemory(&cs, sizeof(cs));
    cs.pCommandBar = pBar;
    cs.bCustomBar = TRUE;
    cs.bTearOffBar = bTearOffBar;
    cs.lpcstrCaption = lpszName;
    cs.nID = nID;
    if (m_pFrame != NULL && m_pFrame->GetSafeHwnd() != NULL)
        m_pFrame->SendMessage(WM_XTP_CREATECOMMANDBAR, 0, (LPARAM)&cs);

    pBar->SetTitle(lpszName);
    BOOL bCreated = bTearOffBar ? FloatCommandBar(pBar) : DockCommandBar(pBar, xtpBarTop);
    if (!bCreated)
    {
        DiscardBar(pBar);
        return NULL;
    }
    m_arrBars.Add(pBar);
    pBar->SetBarID(nID);
    pBar->SetBuiltIn(FALSE);
    pBar->SetTearOff(bTearOffBar);
    if (!bTearOffBar)
        RecalcFrameLayout();
    OnToolBarAdded(pBar);
    return pBar;
}

BOOL CXTPCommandBars::DockCommandBar(CXTPToolBar* pBar, LPRECT lpRect, CXTPDockBar* pDockBar)
{
    if (pBar == NULL || pDockBar == NULL)
        return FALSE;
    if (!pBar->CreateBarWindow(m_pFrame, FALSE))
        return FALSE;
    pDockBar->DockCommandBar(pBar, lpRect);
    pBar->m_barPosition = pDockBar->GetPosition();
    return TRUE;
}

BOOL CXTPCommandBars::DockCommandBar(CXTPToolBar* pBar, XTPBarPosition barPosition)
{
    if (barPosition < xtpBarTop || barPosition > xtpBarRight)
        return FALSE;
    return DockCommandBar(pBar, NULL, m_pDocks[barPosition]);
}

BOOL CXTPCommandBars::FloatCommandBar(CXTPToolBar* pBar)
{
    if (pBar == NULL || m_pFrame == NULL)
        return FALSE;
    if (!pBar->CreateBarWindow(m_pFrame, TRUE))
        return FALSE;
    if (pBar->GetDockBar() != NULL)
        pBar->GetDockBar()->RemoveCommandBar(pBar);
    pBar->m_barPosition = xtpBarFloating;
    CPoint pt = pBar->GetMRUFloatPoint();
    pBar->SetWindowPos(NULL, pt.x, pt.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    pBar->DelayLayout();
    pBar->OnRecalcLayout();
    RecalcFrameLayout(TRUE);
    return TRUE;
}

CXTPToolBar* CXTPCommandBars::GetAt(int nIndex) const
{
    if (nIndex < 0 || nIndex >= m_arrBars.GetSize())
        return NULL;
    return m_arrBars[nIndex];
}

CXTPToolBar* CXTPCommandBars::GetToolBar(UINT nID) const
{
    if (nID == 0)
        return NULL;
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); i++)
    {
        if (m_arrBars[i]->GetBarID() == nID)
            return m_arrBars[i];
    }
    return NULL;
}

CXTPMenuBar* CXTPCommandBars::GetMenuBar() const
{
    return DYNAMIC_DOWNCAST(CXTPMenuBar, GetToolBar(1));
}

int CXTPCommandBars::FindIndex(CXTPToolBar* pBar) const
{
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); i++)
    {
        if (m_arrBars[i] == pBar)
            return (int)i;
    }
    return -1;
}

int CXTPCommandBars::GetNextVisible(int nIndex, int nDirection) const
{
    int nCount = GetCount();
    if (nCount == 0)
        return -1;
    int nStep = nDirection < 0 ? -1 : 1;
    int nCurrent = nIndex;
    for (int k = 0; k < nCount; k++)
    {
        nCurrent = ((nCurrent + nStep) % nCount + nCount) % nCount;
        CXTPToolBar* pBar = m_arrBars[nCurrent];
        if (pBar->IsVisible() && pBar->GetSafeHwnd() != NULL && pBar->GetControlCount() > 0)
            return nCurrent;
    }
    return -1;
}

CXTPDockBar* CXTPCommandBars::GetDockBar(XTPBarPosition barPosition) const
{
    if (barPosition < xtpBarTop || barPosition > xtpBarRight)
        return NULL;
    return m_pDocks[barPosition];
}

CXTPDockBar* CXTPCommandBars::CanDock(CPoint pt, CXTPDockBar* pMainDock) const
{
    CXTPDockBar* arrOrder[5] = { pMainDock, m_pDocks[0], m_pDocks[1], m_pDocks[2], m_pDocks[3] };
    for (int i = 0; i < 5; i++)
    {
        CXTPDockBar* pDockBar = arrOrder[i];
        if (pDockBar == NULL || pDockBar->GetSafeHwnd() == NULL)
            continue;
        // Within 20 pixels: a point 19 pixels off still finds the dock bar,
        // one 20 pixels off does not.
        CRect rc;
        pDockBar->GetWindowRect(&rc);
        rc.InflateRect(19, 19);
        if (rc.PtInRect(pt))
            return pDockBar;
    }
    return NULL;
}

void CXTPCommandBars::Remove(CXTPToolBar* pToolBar)
{
    int nIndex = FindIndex(pToolBar);
    if (nIndex == -1)
        return;
    if (pToolBar->GetSafeHwnd() != NULL)
        pToolBar->ShowWindow(SW_HIDE);
    pToolBar->m_bVisible = FALSE;
    if (pToolBar->GetDockBar() != NULL)
        pToolBar->GetDockBar()->RemoveCommandBar(pToolBar);
    OnToolBarRemoved(pToolBar);
    pToolBar->OnRemoved();
    nIndex = FindIndex(pToolBar);
    if (nIndex != -1)
        m_arrBars.RemoveAt(nIndex);
    pToolBar->InternalRelease();
}

void CXTPCommandBars::RemoveAll()
{
    BOOL bLock = m_bRecalcLayout;
    m_bRecalcLayout = TRUE;
    while (m_arrBars.GetSize() > 0)
        Remove(m_arrBars[m_arrBars.GetSize() - 1]);
    m_bRecalcLayout = bLock;
    RecalcFrameLayout(TRUE);
}

void CXTPCommandBars::ToggleVisible(int nIndex)
{
    CXTPToolBar* pBar = GetAt(nIndex);
    if (pBar == NULL)
        return;
    pBar->SetVisible(!pBar->IsVisible());
    m_pOptions->bDirtyState = TRUE;
}

void CXTPCommandBars::OnToolBarAdded(CXTPToolBar* pToolBar)
{
    CXTPReBar* pReBar = GetReBar();
    if (pReBar != NULL)
        pReBar->AddToolBar(pToolBar, 129);
}

void CXTPCommandBars::OnToolBarRemoved(CXTPToolBar* pToolBar)
{
    CXTPReBar* pReBar = GetReBar();
    if (pReBar != NULL)
        pReBar->DeleteToolBar(pToolBar);
}

//////////////////////////////////////////////////////////////////////////
// Layout and redraw

void CXTPCommandBars::RecalcFrameLayout(BOOL bDelay)
{
    if (m_bRecalcLayout || m_pFrame == NULL || m_pFrame->GetSafeHwnd() == NULL)
        return;
    CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, m_pFrame);
    if (pFrame != NULL)
    {
        if (bDelay)
            pFrame->DelayRecalcLayout(FALSE);
        else
            pFrame->RecalcLayout(FALSE);
        return;
    }
    CRect rcClient;
    m_pFrame->GetClientRect(&rcClient);
    m_pFrame->SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(rcClient.Width(), rcClient.Height()));
}

void CXTPCommandBars::RedrawCommandBars()
{
    BOOL bLock = m_bRecalcLayout;
    m_bRecalcLayout = TRUE;
    for (int i = 0; i < GetCount(); i++)
    {
        CXTPToolBar* pBar = GetAt(i);
        for (int j = 0; j < pBar->GetControlCount(); j++)
            pBar->GetControl(j)->OnThemeChanged();
        if (pBar->IsVisible())
        {
            pBar->DelayLayout();
            pBar->OnRecalcLayout();
        }
    }
    m_bRecalcLayout = bLock;
    if (m_pFrame != NULL && m_pFrame->GetSafeHwnd() != NULL)
    {
        RecalcFrameLayout();
        // Every window of the bars' area paints anew, also where the layout
        // moved nothing (a dock bar's empty part, an unchanged status bar,
        // a floating bar's frame): with a new theme no pixel keeps the old.
        const UINT nRedraw = RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN;
        for (int i = 0; i < 4; i++)
        {
            if (m_pDocks[i] != NULL && m_pDocks[i]->GetSafeHwnd() != NULL)
                m_pDocks[i]->RedrawWindow(NULL, NULL, nRedraw);
        }
        for (int i = 0; i < GetCount(); i++)
        {
            if (GetAt(i)->GetSafeHwnd() != NULL)
                GetAt(i)->RedrawWindow(NULL, NULL, nRedraw);
        }
        HWND hWndStatus = ::GetDlgItem(m_pFrame->GetSafeHwnd(), XTP_IDW_STATUSBAR);
        if (hWndStatus != NULL)
            ::RedrawWindow(hWndStatus, NULL, NULL, nRedraw);
        m_pFrame->SendMessage(WM_NCPAINT);
    }
    // A tabbed MDI client follows the new options too.
    CMDIFrameWnd* pMDIFrame = DYNAMIC_DOWNCAST(CMDIFrameWnd, m_pFrame);
    if (pMDIFrame != NULL && pMDIFrame->GetSafeHwnd() != NULL)
    {
        if (CXTPTabClientTarget* pTabClient = CXTPTabClientTarget::FromMDIClient(pMDIFrame->m_hWndMDIClient))
            pTabClient->RefreshClient(TRUE);
    }
}

//////////////////////////////////////////////////////////////////////////
// Customisation

void CXTPCommandBars::SetCustomizeMode(BOOL bMode)
{
    m_pOptions->bDirtyState = TRUE;
    m_bCustomizeMode = bMode;
    SetDragControl(NULL);
    for (int i = 0; i < GetCount(); i++)
    {
        CXTPToolBar* pBar = GetAt(i);
        // Customising starts afresh: no control stays lit by the click that
        // began it, such as a button whose command opened the Customize
        // sheet and shows pressed until that command returns.
        if (bMode)
        {
            pBar->SetSelected(-1);
            for (int j = 0; j < pBar->GetControlCount(); j++)
                pBar->GetControl(j)->SetPressed(0);
        }
        pBar->DelayLayout();
        pBar->DelayRedraw();
        pBar->OnIdleUpdate();
    }
    RecalcFrameLayout();
    ShowKeyboardCues(bMode || !m_bCuesFollowSystem);
}

int CXTPCommandBars::TrackCustomizeDrag(CXTPControl* pControl, CPoint point, BOOL bCopyOnly)
{
    (void)point;
    if (m_pDragTracker == NULL)
        return -1;
    return m_pDragTracker->Track(pControl, bCopyOnly);
}

CXTPCustomizeSheet* CXTPCommandBars::GetCustomizeSheet() const
{
    return m_pDragTracker != NULL ? m_pDragTracker->GetSheet() : NULL;
}

void CXTPCommandBars::SetQuickCustomizeMode(BOOL bMode)
{
    m_pOptions->bDirtyState = TRUE;
    m_bQuickCustomizeMode = bMode;
    m_bCustomizeMode = bMode;
    SetDragControl(NULL);
    ShowKeyboardCues(bMode || !m_bCuesFollowSystem);
}

void CXTPCommandBars::SetDragControl(CXTPControl* pControl)
{
    if (pControl == m_pDragSelected)
        return;
    if (pControl != NULL)
        pControl->InternalAddRef();
    CXTPControl* pOld = m_pDragSelected;
    m_pDragSelected = pControl;
    if (pOld != NULL)
    {
        pOld->RedrawParent(FALSE);
        pOld->InternalRelease();
    }
    if (pControl != NULL)
        pControl->RedrawParent(FALSE);
    // The open Customize sheet hears of it, else the site.
    CWnd* pSheet = GetCustomizeSheet();
    if (pSheet != NULL && pSheet->GetSafeHwnd() != NULL)
        pSheet->SendMessage(WM_XTP_DRAGCONTROLCHANGED);
    else if (m_pFrame != NULL && m_pFrame->GetSafeHwnd() != NULL)
        m_pFrame->SendMessage(WM_XTP_DRAGCONTROLCHANGED);
}

//////////////////////////////////////////////////////////////////////////
// Hidden and used commands

BOOL CXTPCommandBars::IsCommandHidden(UINT nID) const
{
    return m_pOptions->m_mapHiddenCommands.Contains(nID) && !m_pOptions->m_mapUsedCommands.Contains(nID);
}

BOOL CXTPCommandBars::IsControlHidden(CXTPControl* pControl) const
{
    if (pControl == NULL)
        return FALSE;
    if (IsCommandHidden((UINT)pControl->GetID()))
        return TRUE;
    XTPControlType type = pControl->GetType();
    if (!m_pOptions->bAutoHideUnusedPopups ||
        (type != xtpControlPopup && type != xtpControlButtonPopup && type != xtpControlSplitButtonPopup))
        return FALSE;
    CXTPCommandBar* pBar = pControl->GetCommandBar();
    if (pBar == NULL || pBar->GetControlCount() == 0)
        return TRUE;
    static int s_nDepth = 0;
    CXTPPopupDepthGuard guard(s_nDepth);
    if (guard.IsTooDeep())
        return FALSE;   // shown rather than followed further
    for (int i = 0; i < pBar->GetControlCount(); i++)
    {
        if (!IsControlHidden(pBar->GetControl(i)))
            return FALSE;
    }
    return TRUE;
}

void CXTPCommandBars::HideCommand(UINT nID)
{
    m_pOptions->m_mapHiddenCommands.Add(nID);
}

void CXTPCommandBars::HideCommands(const UINT* pCommands, int nCount)
{
    for (int i = 0; pCommands != NULL && i < nCount; i++)
        HideCommand(pCommands[i]);
}

void CXTPCommandBars::SetCommandUsed(UINT nID)
{
    if (!IsCommandHidden(nID))
        return;
    m_pOptions->m_mapUsedCommands.Add(nID);
    m_pOptions->bDirtyState = TRUE;
}

void CXTPCommandBars::ResetUsageData()
{
    m_pOptions->m_mapUsedCommands.RemoveAll();
    m_pOptions->bDirtyState = TRUE;
}

UINT CXTPCommandBars::GetActiveDocTemplate()
{
    CMDIFrameWnd* pMDIFrame = DYNAMIC_DOWNCAST(CMDIFrameWnd, m_pFrame);
    if (pMDIFrame == NULL || pMDIFrame->GetSafeHwnd() == NULL)
        return 0;
    CMDIChildWnd* pChild = pMDIFrame->MDIGetActive();
    if (pChild == NULL)
        return m_nDefaultMenuID;
    CDocument* pDocument = pChild->GetActiveDocument();
    if (pDocument == NULL)
        return (UINT)pChild->GetDlgCtrlID();
    CDocTemplate* pTemplate = pDocument->GetDocTemplate();
    return pTemplate != NULL ? pTemplate->m_nIDResource : m_nDefaultMenuID;
}

//////////////////////////////////////////////////////////////////////////
// Popups of the frame

CXTPPopupBar* CXTPCommandBars::GetToolbarsPopup()
{
    CXTPPopupBar* pPopupBar = CXTPPopupBar::CreatePopupBar(this);
    pPopupBar->GetControls()->Add(xtpControlButton, XTP_ID_TOOLBARLIST);
    // The list of toolbars ends with the customize command when the site
    // handles it; the toolbar items are inserted before it as the list lays
    // itself out.
    if (m_bCustomizable)
    {
        CXTPControl* pCustomize = pPopupBar->GetControls()->Add(xtpControlButton, XTP_ID_CUSTOMIZE);
        if (pCustomize != NULL)
            pCustomize->SetBeginGroup(TRUE);
    }
    return pPopupBar;
}

void CXTPCommandBars::ShowToolbarsContextMenu(CXTPCommandBar* pBar, int x, int y)
{
    (void)pBar;
    if (m_bCustomizeMode)
        return;
    CXTPPopupBar* pPopupBar = GetToolbarsPopup();
    if (m_pFrame != NULL && m_pFrame->GetSafeHwnd() != NULL)
        m_pFrame->SendMessage(WM_XTP_TOOLBARCONTEXTMENU, 0, (LPARAM)pPopupBar);
    TrackPopupBar(pPopupBar, 0, x, y, m_pFrame);
    pPopupBar->InternalRelease();
}

// The bars of the row that holds the bar, or the bar alone when it is not docked.
static void GetRowBars(CXTPCommandBar* pBar, CXTPDockBar::CToolBarArray& arrBars)
{
    arrBars.RemoveAll();
    CXTPToolBar* pToolBar = DYNAMIC_DOWNCAST(CXTPToolBar, pBar);
    if (pToolBar == NULL)
        return;
    CXTPDockBar* pDockBar = pToolBar->GetDockBar();
    int nIndex = pDockBar != NULL ? pDockBar->FindBar(pToolBar) : -1;
    if (nIndex != -1)
        pDockBar->GetVisibleBarsInRow(nIndex, arrBars);
    else
        arrBars.Add(pToolBar);
}

void CXTPCommandBars::FillExpandPopup(CXTPCommandBar* pBar, CXTPCommandBar* pPopup)
{
    if (pPopup == NULL)
        return;
    CXTPDockBar::CToolBarArray arrBars;
    GetRowBars(pBar, arrBars);
    for (INT_PTR b = 0; b < arrBars.GetSize(); b++)
    {
        CXTPToolBar* pRowBar = arrBars[b];
        for (int i = 0; i < pRowBar->GetControlCount(); i++)
        {
            CXTPControl* pControl = pRowBar->GetControl(i);
            if (pControl->GetHideFlags() != xtpHideWrap)
                continue;
            CXTPControl* pCopy = pPopup->GetControls()->AddClone(pControl, -1, TRUE);
            if (pCopy == NULL)
                continue;
            pCopy->SetHideFlags(0);
            pCopy->SetBeginGroup(FALSE);
        }
    }
}

void CXTPCommandBars::FillAddRemovePopup(CXTPCommandBar* pBar, CXTPCommandBar* pPopup)
{
    if (pPopup == NULL)
        return;
    CXTPDockBar::CToolBarArray arrBars;
    GetRowBars(pBar, arrBars);
    for (INT_PTR b = 0; b < arrBars.GetSize(); b++)
    {
        CXTPToolBar* pRowBar = arrBars[b];
        CXTPControl* pControl = pPopup->GetControls()->Add(xtpControlPopup, 0, NULL, -1, TRUE);
        pControl->SetCaption(pRowBar->GetTitle());
        pControl->SetFlags(pControl->GetFlags() | xtpFlagManualUpdate);
        pControl->SetEnabled(m_bCustomizable && pRowBar->IsBuiltIn() && pRowBar->IsCustomizable());
        pRowBar->BuildCustomizePopup(pControl->GetCommandBar());
    }
    if (m_bCustomizable)
    {
        CXTPControl* pCustomize = pPopup->GetControls()->Add(xtpControlButton, XTP_ID_CUSTOMIZE, NULL, -1, TRUE);
        pCustomize->SetBeginGroup(TRUE);
    }
}

void CXTPCommandBars::ClosePopups() const
{
    GetMouseManager()->CloseAllTracked();
}

BOOL AFX_CDECL CXTPCommandBars::TrackPopupBar(CXTPPopupBar* pPopup, UINT nFlags, int x, int y, CWnd* pWnd,
                                              LPCRECT rcExclude, UINT* pReturnCmd)
{
    if (pPopup == NULL)
        return FALSE;

    CXTPCommandBars* pCommandBars = pPopup->GetCommandBars();
    const MSG* pMsg = CWnd::GetCurrentMessage();
    if (pCommandBars != NULL && pMsg != NULL && pMsg->message == WM_CONTEXTMENU && pMsg->lParam == (LPARAM)-1)
        pCommandBars->ShowKeyboardCues(TRUE);

    CWnd* pOwner = pWnd != NULL ? pWnd : pPopup->GetOwnerSite();
    if (pOwner != NULL && pOwner->GetSafeHwnd() != NULL &&
        (pOwner->GetExStyle() & (WS_EX_LAYOUTRTL | WS_EX_RIGHT)) != 0)
        nFlags |= TPM_RIGHTALIGN;
    if (pWnd != NULL)
        pPopup->SetOwner(pWnd);

    UINT nReturnCmd = 0;
    pPopup->SetReturnCmd((nFlags & TPM_RETURNCMD) ? &nReturnCmd : NULL);
    pPopup->m_bGrabFocus = (nFlags & TPM_RIGHTBUTTON) != 0;
    pPopup->SetTrackFlags(nFlags & (0x80 | 1 | TPM_RIGHTALIGN));

    CXTPMouseManager* pMouseManager = XTPMouseManager();
    BOOL bKeepOpen = (nFlags & 1) != 0;
    if (bKeepOpen)
    {
        pMouseManager->LockTracked(TRUE);
    }
    else
    {
        pMouseManager->CloseAllTracked();
        ::ReleaseCapture();
    }

    pPopup->InternalAddRef();
    pPopup->SetOwnLoop(TRUE);
    BOOL bShown = pPopup->PopupAt(x, y, rcExclude);
    if (bShown)
    {
        CWinThread* pThread = AfxGetThread();
        while (pPopup->IsTrackingMode())
        {
            MSG msg;
            if (!::GetMessage(&msg, NULL, 0, 0))
            {
                // The quit still ends the program once the menu is gone.
                ::PostQuitMessage((int)msg.wParam);
                break;
            }
            if (!pPopup->IsTrackingMode())
            {
                ::PostMessage(msg.hwnd, msg.message, msg.wParam, msg.lParam);
                break;
            }
            if (msg.message == WM_KICKIDLE)
                continue;
            if (pThread == NULL || !pThread->PreTranslateMessage(&msg))
            {
                ::TranslateMessage(&msg);
                ::DispatchMessage(&msg);
            }
        }
        if (pPopup->IsTrackingMode())
            pPopup->SetTrackingMode(FALSE);
    }
    pPopup->SetOwnLoop(FALSE);
    pPopup->SetReturnCmd(NULL);
    if (bKeepOpen)
        pMouseManager->LockTracked(FALSE);
    pPopup->InternalRelease();

    if (pReturnCmd != NULL)
        *pReturnCmd = nReturnCmd;
    return bShown;
}

UINT AFX_CDECL CXTPCommandBars::TrackPopupMenu(CMenu* pMenu, UINT nFlags, int x, int y, CWnd* pWnd,
                                               LPCRECT rcExclude, CWnd* pWndOwner, CXTPCommandBars* pCommandBars)
{
    if (pMenu == NULL || pMenu->GetSafeHmenu() == NULL)
        return 0;
    CXTPPopupBar* pPopupBar = CXTPPopupBar::CreatePopupBar(pCommandBars);
    if (pWndOwner != NULL)
        pPopupBar->SetOwner(pWndOwner);
    UINT nCommand = 0;
    if (pPopupBar->LoadMenu(pMenu))
        TrackPopupBar(pPopupBar, nFlags, x, y, pWndOwner != NULL ? pWndOwner : pWnd, rcExclude, &nCommand);
    pPopupBar->InternalRelease();
    return nCommand;
}

//////////////////////////////////////////////////////////////////////////
// Keyboard

BOOL CXTPCommandBars::SetTrackingBar(CXTPCommandBar* pBar)
{
    if (pBar == NULL || pBar->GetSafeHwnd() == NULL)
        return FALSE;
    ClosePopups();
    pBar->SetTrackingMode(1, TRUE, TRUE);
    // The keyboard is in the bars now: their access letters show until the
    // tracking ends, also when cues follow a system that hides them (the
    // release of Alt, which comes first, took them away).
    ShowKeyboardCues(TRUE);
    return TRUE;
}

BOOL CXTPCommandBars::SetNextTrackingBar(CXTPCommandBar* pBar, BOOL bPrevious)
{
    int nIndex = FindIndex(DYNAMIC_DOWNCAST(CXTPToolBar, pBar));
    int nNext = GetNextVisible(nIndex, bPrevious ? -1 : +1);
    if (nNext == -1 || nNext == nIndex)
        return FALSE;
    return SetTrackingBar(GetAt(nNext));
}

BOOL CXTPCommandBars::PreTranslateFrameMessage(MSG* pMsg)
{
    if (pMsg == NULL || m_pFrame == NULL || m_pFrame->GetSafeHwnd() == NULL)
        return FALSE;
    CXTPMouseManager* pMouseManager = GetMouseManager();
    BOOL bTracking = pMouseManager->GetTrackArray().GetSize() > 0;

    switch (pMsg->message)
    {
    case WM_SYSKEYDOWN:
        if ((pMsg->lParam & 0x20000000) != 0 && !bTracking)
        {
            HWND hWndTop = m_pFrame->GetSafeHwnd();
            for (HWND h = hWndTop; h != NULL; h = ::GetWindow(h, GW_OWNER))
                hWndTop = h;
            if (::GetForegroundWindow() != ::GetLastActivePopup(hWndTop))
                break;
            if (pMsg->wParam == VK_MENU)
            {
                ShowKeyboardCues(TRUE);
                return FALSE;
            }
            if (m_bIgnoreShiftMenuKey && ::GetKeyState(VK_SHIFT) < 0)
                break;
            if (OnFrameAccel((TCHAR)LOBYTE(pMsg->wParam)))
                return TRUE;
        }
        break;
    case WM_CONTEXTMENU:
        if (bTracking)
        {
            XTPKeyboardManager()->DispatchKeyboardHook(WM_CONTEXTMENU, pMsg->wParam, pMsg->lParam);
            return TRUE;
        }
        break;
    case WM_MOUSEWHEEL:
        if (XTPKeyboardManager()->IsKeyboardHooked())
        {
            XTPKeyboardManager()->DispatchKeyboardHook(WM_MOUSEWHEEL, pMsg->wParam, pMsg->lParam);
            return TRUE;
        }
        {
            // The wheel over a ribbon goes to the ribbon (it switches tabs).
            CPoint ptCursor;
            ::GetCursorPos(&ptCursor);
            CXTPCommandBar* pUnder = DYNAMIC_DOWNCAST(CXTPCommandBar, CWnd::FromHandlePermanent(::WindowFromPoint(ptCursor)));
            if (pUnder != NULL && pUnder->GetType() == xtpBarTypeRibbon && pUnder->GetSafeHwnd() != pMsg->hwnd)
            {
                pUnder->SendMessage(WM_MOUSEWHEEL, pMsg->wParam, pMsg->lParam);
                return TRUE;
            }
        }
        return FALSE;
    default:
        break;
    }

    if (pMsg->message == WM_SYSKEYUP || pMsg->message == WM_KEYUP)
    {
        if (m_bCuesFollowSystem && m_bKeyboardCuesVisible && !bTracking)
            ShowKeyboardCues(FALSE);
        if (pMsg->message == WM_SYSKEYUP && bTracking)
        {
            XTPKeyboardManager()->DispatchKeyboardHook(WM_CONTEXTMENU, pMsg->wParam, pMsg->lParam);
            return TRUE;
        }
    }

    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_SYSDEADCHAR)
        return m_pShortcutManager->TranslateAccelerator(m_pFrame->GetSafeHwnd(), pMsg);
    return FALSE;
}

//////////////////////////////////////////////////////////////////////////
// The frame's messages

void CXTPCommandBars::OnSysColorChange()
{
    if (m_pFrame != NULL && m_pFrame->GetSafeHwnd() != NULL)
        m_pFrame->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    RedrawCommandBars();
}

BOOL CXTPCommandBars::OnFrameWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    switch (message)
    {
    case WM_XTP_GETCOMMANDBARS:
        *pResult = (LRESULT)this;
        return TRUE;

    case WM_IDLEUPDATECMDUI:
        for (int i = 0; i < GetCount(); i++)
        {
            CXTPToolBar* pBar = GetAt(i);
            if (pBar->GetPosition() == xtpBarFloating)
            {
                pBar->DelayLayout();
                pBar->DelayRedraw();
                pBar->OnIdleUpdate();
            }
        }
        return FALSE;

    case WM_SYSCOLORCHANGE:
    case WM_DISPLAYCHANGE:  // the screen's colour depth may have changed
        GetColorManager()->RefreshColors();
        GetPaintManager()->RefreshMetrics();
        GetImageManager()->RefreshAll();
        OnSysColorChange();
        return FALSE;

    case WM_SETTINGCHANGE:
        GetPaintManager()->RefreshMetrics();
        OnSysColorChange();
        return FALSE;

    case WM_CLOSE:
        return m_bCustomizeMode;

    case WM_COMMAND:
    {
        HWND hWndFocus = ::GetFocus();
        CWnd* pFocus = hWndFocus != NULL ? CWnd::FromHandlePermanent(hWndFocus) : NULL;
        CRuntimeClass* pEditClass = CRuntimeClass::FromName("CXTPEdit");
        if (pFocus != NULL && pEditClass != NULL && pFocus->IsKindOf(pEditClass) && lParam == 0 &&
            pFocus->OnCmdMsg(LOWORD(wParam), HIWORD(wParam), NULL, NULL))
        {
            if (pResult != NULL)
                *pResult = 1;
            return TRUE;
        }
        if (LOWORD(wParam) == ID_HELP && m_nHelpTrackingID >= 1)
        {
            AFX_CMDHANDLERINFO info = { NULL, NULL };
            if (m_pFrame != NULL && m_pFrame->OnCmdMsg(ID_HELP, CN_COMMAND, NULL, &info))
            {
                m_pFrame->SendMessage(WM_COMMANDHELP, 0, 0x10000 + m_nHelpTrackingID);
                return TRUE;
            }
        }
        return FALSE;
    }

    case WM_ACTIVATEAPP:
        if (!wParam)
            ClosePopups();
        return FALSE;

    case WM_CANCELMODE:
        // Tracking modes end (help is being shown): the open menus close
        // without running anything.
        if (!m_bCustomizeMode)
            ClosePopups();
        return FALSE;

    case WM_SYSCOMMAND:
        if (wParam != SC_KEYMENU && !(wParam != 0 && LOWORD(wParam) == 0) && !m_bCustomizeMode)
            ClosePopups();
        return FALSE;

    default:
        return FALSE;
    }
}

void CXTPCommandBars::OnSetPreviewMode(BOOL bPreview)
{
    m_pShortcutManager->DisableShortcuts(bPreview);
    for (int i = 0; i < GetCount(); i++)
        GetAt(i)->OnSetPreviewMode(bPreview);
}

//////////////////////////////////////////////////////////////////////////
// Options persistence

void CXTPCommandBars::SaveOptions(LPCTSTR lpszProfileName)
{
    CString strSection;
    strSection.Format(_T("%s-Options"), lpszProfileName);
    CXTPPropExchangeSection px(FALSE, strSection);
    if (px.GetExchange() == NULL)
        return;
    px->ClearSection();
    m_pOptions->DoPropExchange(px, TRUE);
}

void CXTPCommandBars::LoadOptions(LPCTSTR lpszProfileName)
{
    CString strSection;
    strSection.Format(_T("%s-Options"), lpszProfileName);
    CXTPPropExchangeSection px(TRUE, strSection);
    if (px.GetExchange() == NULL)
        return;
    m_pOptions->DoPropExchange(px, TRUE);
}
