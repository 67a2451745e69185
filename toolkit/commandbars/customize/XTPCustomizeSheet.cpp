#include "XTPCustomizeSheet.h"
#include "XTPCustomizeToolbarsPage.h"
#include "XTPCustomizeCommandsPage.h"
#include "XTPCustomizeDragTracker.h"
#include "XTPCustomizeResource.h"
#include "XTPCommandBars.h"
#include "XTPCommandBar.h"
#include "XTPPopupBar.h"
#include "XTPMenuBar.h"
#include "XTPToolBar.h"
#include "XTPControls.h"
#include "XTPControl.h"
#include "XTPControlPopup.h"
#include "XTPShortcutManager.h"
#include "XTPImageManager.h"
#include "XTPPaintManager.h"
#include "XTPResourceManager.h"
#include "XTPHookManager.h"
#include <afxclip.h>
#include <afxpriv.h>
#include <math.h>

#include <algorithm>

#include "XTPImageEditorDlg.h"

IMPLEMENT_DYNAMIC(CXTPCustomizeSheet, CPropertySheet)
XTP_IMPLEMENT_DYNCREATE_NESTED(CXTPCustomizeSheet, CCustomizeButton, CXTPControlButton)
XTP_IMPLEMENT_DYNCREATE_NESTED(CXTPCustomizeSheet, CCustomizeEdit, CXTPControlEdit)

// The one hook record of the process while a sheet runs.
namespace
{
struct CustomizeHookRecord
{
    CXTPCustomizeSheet* pSheet;
    HHOOK hMouseHook;
    HHOOK hKeyboardHook;
};
CustomizeHookRecord g_hookRecord = {NULL, NULL, NULL};

BOOL IsWindowOrChild(HWND hWndParent, HWND hWnd)
{
    return hWndParent != NULL && hWnd != NULL && (hWnd == hWndParent || ::IsChild(hWndParent, hWnd));
}
} // namespace

BEGIN_MESSAGE_MAP(CXTPCustomizeSheet, CPropertySheet)
    ON_COMMAND(XTP_ID_CUSTOMIZE_RESETCONTROL, OnResetControl)
    ON_COMMAND(XTP_ID_CUSTOMIZE_DELETE, OnDeleteControl)
    ON_COMMAND(XTP_ID_CUSTOMIZE_COPYBUTTONIMAGE, OnCopyButtonImage)
    ON_COMMAND(XTP_ID_CUSTOMIZE_PASTEBUTTONIMAGE, OnPasteButtonImage)
    ON_COMMAND(XTP_ID_CUSTOMIZE_RESETBUTTONIMAGE, OnResetButtonImage)
    ON_COMMAND(XTP_ID_CUSTOMIZE_EDITBUTTONIMAGE, OnEditButtonImage)
    ON_COMMAND_RANGE(XTP_ID_CUSTOMIZE_DEFAULTSTYLE, XTP_ID_CUSTOMIZE_TEXTONLY, OnStyle)
    ON_COMMAND(XTP_ID_CUSTOMIZE_BEGINAGROUP, OnBeginGroup)
    ON_UPDATE_COMMAND_UI(XTP_ID_CUSTOMIZE_RESETCONTROL, OnUpdateResetControl)
    ON_UPDATE_COMMAND_UI(XTP_ID_CUSTOMIZE_DELETE, OnUpdateAlways)
    ON_UPDATE_COMMAND_UI(XTP_ID_CUSTOMIZE_NAME, OnUpdateAlways)
    ON_UPDATE_COMMAND_UI(XTP_ID_CUSTOMIZE_COPYBUTTONIMAGE, OnUpdateCopyButtonImage)
    ON_UPDATE_COMMAND_UI(XTP_ID_CUSTOMIZE_EDITBUTTONIMAGE, OnUpdateCopyButtonImage)
    ON_UPDATE_COMMAND_UI(XTP_ID_CUSTOMIZE_CHANGEBUTTONIMAGE, OnUpdateCopyButtonImage)
    ON_UPDATE_COMMAND_UI(XTP_ID_CUSTOMIZE_PASTEBUTTONIMAGE, OnUpdatePasteButtonImage)
    ON_UPDATE_COMMAND_UI(XTP_ID_CUSTOMIZE_RESETBUTTONIMAGE, OnUpdateResetButtonImage)
    ON_UPDATE_COMMAND_UI_RANGE(XTP_ID_CUSTOMIZE_DEFAULTSTYLE, XTP_ID_CUSTOMIZE_TEXTONLY, OnUpdateStyle)
    ON_UPDATE_COMMAND_UI(XTP_ID_CUSTOMIZE_BEGINAGROUP, OnUpdateBeginGroup)
    ON_MESSAGE(WM_XTP_INITCOMMANDSPOPUP, OnInitCommandsPopup)
    ON_MESSAGE(WM_XTP_COMMAND, OnControlCommand)
    ON_MESSAGE(WM_FLOATSTATUS, OnFloatStatus)
    ON_WM_TIMER()
END_MESSAGE_MAP()

//////////////////////////////////////////////////////////////////////////
// CCustomizeEdit

BOOL CXTPCustomizeSheet::CCustomizeEdit::OnSetSelected(int bSelected)
{
    // Leaving the box while typing in it keeps what was typed.
    if (!bSelected && GetEditCtrl() != NULL && GetEditCtrl()->GetSafeHwnd() != NULL &&
        ::GetFocus() == GetEditCtrl()->GetSafeHwnd())
    {
        NotifySite(CBN_XTP_EXECUTE);
    }
    return CXTPControlEdit::OnSetSelected(bSelected);
}

//////////////////////////////////////////////////////////////////////////
// Construction

CXTPCustomizeSheet::CXTPCustomizeSheet(CXTPCommandBars* pCommandBars, UINT iSelectPage)
    : m_pCommandBars(pCommandBars)
    , m_pSiteWnd(pCommandBars != NULL ? pCommandBars->GetSite() : NULL)
    , m_pPageToolbars(NULL)
    , m_pPageCommands(NULL)
    , m_pContextMenu(NULL)
    , m_pCustomIcons(NULL)
    , m_nCustomIconCount(0)
    , m_bCustomIconsLoaded(FALSE)
    , m_pEditedControl(NULL)
{
    CString strCaption;
    XTPResourceManager()->LoadString(&strCaption, XTP_IDS_CUSTOMIZE);
    Construct(strCaption, m_pSiteWnd, iSelectPage);

    m_pPageToolbars = new CXTPCustomizeToolbarsPage(this);
    m_pPageCommands = new CXTPCustomizeCommandsPage(this);
    AddPage(m_pPageToolbars);
    AddPage(m_pPageCommands);
    m_psh.dwFlags |= PSH_NOAPPLYNOW;

    // The stock images of "Change Button Image" are read when first wanted
    // (making them costs more than the rest of the sheet together, and most
    // sessions never open the palette); the manager that will hold them is
    // shared with the context menu from the start.
    m_pCustomIcons = new CXTPImageManager();
    BuildContextMenu();
}

void CXTPCustomizeSheet::LoadCustomIcons()
{
    if (m_bCustomIconsLoaded || m_pCustomIcons == NULL)
        return;
    m_bCustomIconsLoaded = TRUE;
    // A strip of 16 x 16 images numbered 1 to N.
    CBitmap bmp;
    if (!XTPResourceManager()->LoadBitmap(&bmp, XTP_IDB_CUSTOMIZE_ICONS))
        return;
    BITMAP bm;
    ZeroMemory(&bm, sizeof(bm));
    bmp.GetBitmap(&bm);
    int nCount = bm.bmWidth / 16;
    if (nCount <= 0)
        return;
    UINT* pIds = new UINT[nCount];
    for (int i = 0; i < nCount; i++)
        pIds[i] = (UINT)(i + 1);
    if (m_pCustomIcons->SetIconsFromBitmap(&bmp, pIds, nCount, CSize(16, 16), xtpImageNormal, FALSE))
        m_nCustomIconCount = nCount;
    delete[] pIds;
}

CXTPCustomizeSheet::~CXTPCustomizeSheet()
{
    if (m_hWnd != NULL && IsMapped())
        DestroyWindow();
    // The two pages are the sheet's own; the program's pages are not.
    for (int i = (int)m_pages.GetSize() - 1; i >= 0; i--)
    {
        if (m_pages[i] == m_pPageToolbars || m_pages[i] == m_pPageCommands)
        {
            ((CPropertyPage*)m_pages[i])->m_pSheet = NULL;
            m_pages.RemoveAt(i);
        }
    }
    delete m_pPageToolbars;
    delete m_pPageCommands;
    if (m_pContextMenu != NULL)
        m_pContextMenu->InternalRelease();
    if (m_pCustomIcons != NULL)
        m_pCustomIcons->InternalRelease();
}

void CXTPCustomizeSheet::AddPage(CPropertyPage* pPage)
{
    if (pPage == NULL)
        return;
    // A page named by a template id gets the template from the resource
    // manager, so a program can replace it.
    XTPResourceManager()->LoadPageTemplate(pPage->m_psp);
    CPropertySheet::AddPage(pPage);
}

void CXTPCustomizeSheet::BuildContextMenu()
{
    CMenu menu;
    if (m_pCommandBars == NULL || !XTPResourceManager()->LoadMenu(&menu, XTP_IDR_CUSTOMIZEMENU))
        return;
    CMenu* pMenu = menu.GetSubMenu(0);
    if (pMenu == NULL)
        return;

    m_pContextMenu = new CCustomizeContextMenu();
    m_pContextMenu->SetCommandBars(m_pCommandBars);
    m_pContextMenu->SetCustomizable(FALSE);
    m_pContextMenu->SetOwner(this);
    // The bar takes over a reference of its paint and image managers.
    CXTPPaintManager* pPaintManager = m_pCommandBars->GetPaintManager();
    pPaintManager->InternalAddRef();
    m_pContextMenu->SetPaintManager(pPaintManager);
    m_pContextMenu->SetImageManager(m_pCustomIcons);
    if (m_pCustomIcons != NULL)
        m_pCustomIcons->InternalAddRef();   // the bar keeps its own reference

    BOOL bBeginGroup = FALSE;
    for (int i = 0; i < (int)pMenu->GetMenuItemCount(); i++)
    {
        UINT nID = pMenu->GetMenuItemID(i);
        if (nID == 0 || (pMenu->GetMenuState(i, MF_BYPOSITION) & MF_SEPARATOR) != 0)
        {
            bBeginGroup = TRUE;
            continue;
        }
        CString strText;
        pMenu->GetMenuString(i, strText, MF_BYPOSITION);
        int nTab = strText.Find('\t');
        if (nTab >= 0)
            strText = strText.Left(nTab);

        CXTPControl* pControl = NULL;
        if (nID == XTP_ID_CUSTOMIZE_CHANGEBUTTONIMAGE)
        {
            CXTPControlPopup* pPopup = CXTPControlPopup::CreateControlPopup(xtpControlPopup);
            CXTPPopupToolBar* pPalette = new CCustomizePalette();
            pPalette->SetCommandBars(m_pCommandBars);
            pPalette->SetCustomizable(FALSE);
            // A chosen image closes the menus before it is executed, which
            // parts the palette from the menu: its own owner still routes
            // the choice to the sheet.
            pPalette->SetOwner(this);
            {
                pPalette->SetBarID(XTP_ID_CUSTOMIZE_CHANGEBUTTONIMAGE);
                // The palette is a grid of plain 16 x 16 images whatever the
                // bars show: no text below the icons, no large icons.
                pPalette->ShowTextBelowIcons(FALSE);
                pPalette->SetIconSize(CSize(16, 16));
                pPalette->SetButtonSize(CSize(23, 23));
                pPalette->SetImageManager(m_pCustomIcons);
                if (m_pCustomIcons != NULL)
                    m_pCustomIcons->InternalAddRef();
                pPopup->SetCommandBar(pPalette);
                pPalette->InternalRelease();
            }
            pControl = pPopup;
        }
        else if (nID == XTP_ID_CUSTOMIZE_NAME)
        {
            pControl = new CCustomizeEdit();
        }
        else
        {
            pControl = new CCustomizeButton();
        }
        m_pContextMenu->GetControls()->Add(pControl, (int)nID);
        pControl->SetCaption(strText);
        if (bBeginGroup)
        {
            pControl->SetBeginGroup(TRUE);
            bBeginGroup = FALSE;
        }
    }
}

//////////////////////////////////////////////////////////////////////////
// Running

BOOL AFX_CDECL CXTPCustomizeSheet::IsRunning()
{
    return g_hookRecord.pSheet != NULL;
}

CXTPCustomizeSheet* AFX_CDECL CXTPCustomizeSheet::GetRunningSheet()
{
    return g_hookRecord.pSheet;
}

INT_PTR CXTPCustomizeSheet::DoModal()
{
    if (g_hookRecord.pSheet != NULL || m_pCommandBars == NULL)
        return IDCANCEL;

    m_pCommandBars->SetCustomizeMode(TRUE);
    if (m_pCommandBars->GetDragTracker() != NULL)
        m_pCommandBars->GetDragTracker()->SetSheet(this);

    // The frame stays enabled: its bars take drops while the sheet is open;
    // the hooks keep the rest of it quiet.
    g_hookRecord.pSheet = this;
    if (m_pSiteWnd != NULL && m_pSiteWnd->GetSafeHwnd() != NULL)
    {
        DWORD dwThread = ::GetCurrentThreadId();
        g_hookRecord.hMouseHook = ::SetWindowsHookEx(WH_MOUSE, &MouseHookProc, NULL, dwThread);
        g_hookRecord.hKeyboardHook = ::SetWindowsHookEx(WH_KEYBOARD, &KeyboardHookProc, NULL, dwThread);
    }
    HWND hWndCapture = ::GetCapture();
    if (hWndCapture != NULL)
        ::SendMessage(hWndCapture, WM_CANCELMODE, 0, 0);
    // The application's modeless dialogs stay out of the way while the sheet
    // runs its own loop.
    CWinApp* pApp = AfxGetApp();
    if (pApp != NULL)
        pApp->EnableModeless(FALSE);

    INT_PTR nResult = -1;
    m_nModalResult = 0;
    m_nFlags |= WF_CONTINUEMODAL;
    if (Create(m_pSiteWnd))
    {
        m_bModeless = FALSE;   // EndDialog presses Cancel instead of destroying
        if (m_pCommandBars->IsLayoutRTL())
        {
            ModifyStyleEx(0, WS_EX_LAYOUTRTL | WS_EX_NOINHERITLAYOUT);
            CTabCtrl* pTab = GetTabControl();
            if (pTab != NULL && pTab->GetSafeHwnd() != NULL)
                pTab->ModifyStyleEx(0, WS_EX_LAYOUTRTL);
        }
        DWORD dwFlags = MLF_SHOWONIDLE;
        if (GetStyle() & DS_NOIDLEMSG)
            dwFlags |= MLF_NOIDLEMSG;
        if (ContinueModal())
            nResult = RunModalLoop(dwFlags);
        else
            nResult = m_nModalResult;
        if (nResult == 0)
            nResult = IDCANCEL;
        if (m_hWnd != NULL)
            SetWindowPos(NULL, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    }
    m_nFlags &= ~(WF_CONTINUEMODAL | WF_MODALLOOP);

    if (g_hookRecord.hMouseHook != NULL)
        ::UnhookWindowsHookEx(g_hookRecord.hMouseHook);
    if (g_hookRecord.hKeyboardHook != NULL)
        ::UnhookWindowsHookEx(g_hookRecord.hKeyboardHook);
    BOOL bWasActive = m_hWnd != NULL && ::GetActiveWindow() == m_hWnd;
    if (m_hWnd != NULL)
        DestroyWindow();
    if (bWasActive && m_pSiteWnd != NULL && m_pSiteWnd->GetSafeHwnd() != NULL)
        m_pSiteWnd->SetActiveWindow();

    if (pApp != NULL)
        pApp->EnableModeless(TRUE);
    m_pCommandBars->SetCustomizeMode(FALSE);
    if (m_pCommandBars->GetDragTracker() != NULL)
        m_pCommandBars->GetDragTracker()->SetSheet(NULL);
    XTPMouseManager()->CloseAllTracked();
    g_hookRecord.pSheet = NULL;
    g_hookRecord.hMouseHook = NULL;
    g_hookRecord.hKeyboardHook = NULL;
    return nResult;
}

BOOL CXTPCustomizeSheet::OnInitDialog()
{
    BOOL bResult = CPropertySheet::OnInitDialog();
    m_wndTab.AttachToSheet(this);
    CWnd* pOK = GetDlgItem(IDOK);
    if (pOK != NULL)
        pOK->ShowWindow(SW_HIDE);
    CWnd* pCancel = GetDlgItem(IDCANCEL);
    if (pCancel != NULL)
    {
        CString strClose;
        XTPResourceManager()->LoadString(&strClose, XTP_IDS_CUSTOMIZE_CLOSE);
        pCancel->SetWindowText(strClose);
    }
    // The frame stays enabled while the sheet runs, so the dialog layer does
    // not place it; open it centred over the frame rather than in the
    // screen's top-left corner.
    if (m_pSiteWnd != NULL && ::IsWindow(m_pSiteWnd->GetSafeHwnd()) && !(GetStyle() & WS_VISIBLE))
        CenterWindow(m_pSiteWnd);
    return bResult;
}

BOOL CXTPCustomizeSheet::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_SYSKEYDOWN && m_hWnd != NULL)
    {
        // Alt plus the underlined letter of a page tab selects that page.
        CTabCtrl* pTab = GetTabControl();
        int nCount = pTab != NULL && pTab->GetSafeHwnd() != NULL ? pTab->GetItemCount() : 0;
        for (int i = 0; i < nCount; i++)
        {
            TCHAR szText[256] = {0};
            TCITEM item;
            ZeroMemory(&item, sizeof(item));
            item.mask = TCIF_TEXT;
            item.pszText = szText;
            item.cchTextMax = 255;
            if (!pTab->GetItem(i, &item))
                continue;
            CString strText(szText);
            int nAccessKey = AfxFindAccessKey(strText);
            if (nAccessKey == -1)
                continue;
            if (CXTPShortcutManager::CompareAccelKey(strText[nAccessKey], (UINT)pMsg->wParam))
            {
                SetActivePage(i);
                return TRUE;
            }
        }
    }
    return CPropertySheet::PreTranslateMessage(pMsg);
}

BOOL CXTPCustomizeSheet::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (nID >= XTP_ID_CUSTOMIZE_RESETCONTROL && nID <= XTP_ID_CUSTOMIZE_BEGINAGROUP)
        return CPropertySheet::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    if (nCode == 0 && (nID == IDOK || nID == IDCANCEL || nID == IDHELP))
        return CPropertySheet::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    // Everything else is the program's: a bar command run while the sheet
    // is open goes through the frame's routing.
    if (m_pSiteWnd != NULL && m_pSiteWnd->GetSafeHwnd() != NULL &&
        m_pSiteWnd->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return CPropertySheet::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

//////////////////////////////////////////////////////////////////////////
// Hooks

BOOL CXTPCustomizeSheet::IsOwnBar(HWND hWnd) const
{
    for (int nGuard = 0; hWnd != NULL && nGuard < 2; nGuard++, hWnd = ::GetParent(hWnd))
    {
        CXTPCommandBar* pBar = DYNAMIC_DOWNCAST(CXTPCommandBar, CWnd::FromHandlePermanent(hWnd));
        if (pBar != NULL && pBar->GetCommandBars() == m_pCommandBars)
            return TRUE;
    }
    return FALSE;
}

BOOL CXTPCustomizeSheet::FilterMouse(UINT nMessage, HWND hWndTarget, CPoint ptScreen)
{
    if (nMessage == WM_MOUSEMOVE || nMessage == WM_NCMOUSEMOVE)
        return TRUE;
    // The release goes to the window holding the mouse: a loop that took the
    // mouse on a press that passed here (a floating pane dragged by its
    // caption, which captures the frame) ends on it, and would go on
    // tracking the pointer without it.
    if (nMessage == WM_LBUTTONUP && hWndTarget != NULL && hWndTarget == ::GetCapture())
        return TRUE;
    HWND hWndSite = m_pSiteWnd != NULL ? m_pSiteWnd->GetSafeHwnd() : NULL;
    if (m_pEditedControl != NULL)
    {
        // The button editor is open: the frame, its bars (docked or
        // floating) and the sheet take no clicks until it closes, so that
        // nothing moves, copies or deletes the button it edits. The editor
        // and the windows it opens take them.
        return !IsWindowOrChild(hWndSite, hWndTarget) && !IsOwnBar(hWndTarget) &&
               !IsWindowOrChild(m_hWnd, hWndTarget);
    }
    CXTPMouseManager* pMouseManager = XTPMouseManager();
    if (pMouseManager->GetTrackArray().GetSize() > 0)
    {
        // A popup of its own (a bar without command bars) passes at once.
        for (HWND h = hWndTarget; h != NULL; h = NULL)
        {
            CXTPCommandBar* pBar = DYNAMIC_DOWNCAST(CXTPCommandBar, CWnd::FromHandlePermanent(h));
            if (pBar == NULL)
                pBar = DYNAMIC_DOWNCAST(CXTPCommandBar, CWnd::FromHandlePermanent(::GetParent(h)));
            if (pBar != NULL && pBar->GetCommandBars() == NULL)
                return TRUE;
        }
        pMouseManager->PreviewMouseMessage(nMessage, ptScreen);
    }
    HWND hWndForeground = ::GetForegroundWindow();
    if (hWndSite != NULL && (::GetWindowLong(hWndSite, GWL_STYLE) & WS_POPUP) != 0 && m_hWnd != NULL &&
        !IsWindowOrChild(hWndSite, hWndForeground) && !IsWindowOrChild(m_hWnd, hWndForeground))
        ::SetFocus(m_hWnd);
    if (!IsWindowOrChild(hWndSite, hWndTarget))
        return TRUE;
    if (IsWindowOrChild(m_hWnd, hWndTarget) || (hWndForeground != hWndSite && IsWindowOrChild(hWndForeground, hWndTarget)))
        return TRUE;
    return IsOwnBar(hWndTarget);
}

BOOL CXTPCustomizeSheet::FilterKeyboard()
{
    HWND hWndFocus = ::GetFocus();
    if (IsWindowOrChild(m_hWnd, hWndFocus))
        return TRUE;
    HWND hWndParent = hWndFocus != NULL ? ::GetParent(hWndFocus) : NULL;
    if (hWndParent != NULL && DYNAMIC_DOWNCAST(CXTPCommandBar, CWnd::FromHandlePermanent(hWndParent)) != NULL)
        return TRUE;
    HWND hWndSite = m_pSiteWnd != NULL ? m_pSiteWnd->GetSafeHwnd() : NULL;
    HWND hWndForeground = ::GetForegroundWindow();
    if (hWndForeground != NULL && hWndForeground != hWndSite && IsWindowOrChild(hWndForeground, hWndFocus))
        return TRUE;
    return ::GetCapture() != NULL;
}

LRESULT CALLBACK CXTPCustomizeSheet::MouseHookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    HHOOK hHook = g_hookRecord.hMouseHook;
    if (nCode < 0 || g_hookRecord.pSheet == NULL)
        return ::CallNextHookEx(hHook, nCode, wParam, lParam);
    try
    {
        MOUSEHOOKSTRUCT* pInfo = (MOUSEHOOKSTRUCT*)lParam;
        if (pInfo != NULL && !g_hookRecord.pSheet->FilterMouse((UINT)wParam, pInfo->hwnd, pInfo->pt))
            return 1;
    }
    catch (CException* e)
    {
        TRACE("CXTPCustomizeSheet: exception in the mouse hook\n");
        e->Delete();
    }
    catch (...)
    {
        TRACE("CXTPCustomizeSheet: exception in the mouse hook\n");
    }
    return ::CallNextHookEx(hHook, nCode, wParam, lParam);
}

LRESULT CALLBACK CXTPCustomizeSheet::KeyboardHookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    HHOOK hHook = g_hookRecord.hKeyboardHook;
    if (nCode < 0 || g_hookRecord.pSheet == NULL)
        return ::CallNextHookEx(hHook, nCode, wParam, lParam);
    try
    {
        if (!g_hookRecord.pSheet->FilterKeyboard())
            return 1;
    }
    catch (CException* e)
    {
        TRACE("CXTPCustomizeSheet: exception in the keyboard hook\n");
        e->Delete();
    }
    catch (...)
    {
        TRACE("CXTPCustomizeSheet: exception in the keyboard hook\n");
    }
    return ::CallNextHookEx(hHook, nCode, wParam, lParam);
}

//////////////////////////////////////////////////////////////////////////
// The context menu

CXTPControl* CXTPCustomizeSheet::GetSelectedControl() const
{
    return m_pCommandBars != NULL ? m_pCommandBars->GetDragControl() : NULL;
}

BOOL AFX_CDECL CXTPCustomizeSheet::HasImage(CXTPControl* pControl)
{
    if (pControl == NULL)
        return FALSE;
    XTPControlType type = pControl->GetType();
    return type >= xtpControlButton && type <= xtpControlSplitButtonPopup && pControl->GetIconId() > 0;
}

void CXTPCustomizeSheet::RecalcSelectedParent()
{
    CXTPControl* pControl = GetSelectedControl();
    if (pControl != NULL && pControl->GetParent() != NULL)
        pControl->GetParent()->OnRecalcLayout();
}

void CXTPCustomizeSheet::ContextMenu(CPoint ptScreen, BOOL bEditsKept)
{
    if (m_pContextMenu == NULL || m_pCommandBars == NULL || m_pEditedControl != NULL)
        return;
    CXTPControls* pControls = m_pContextMenu->GetControls();
    for (int i = 0; i < pControls->GetCount(); i++)
    {
        CXTPControl* pControl = pControls->GetAt(i);
        pControl->SetHideFlag(xtpHideGeneric, !bEditsKept && pControl->GetID() != XTP_ID_CUSTOMIZE_COPYBUTTONIMAGE);
    }
    UINT nFlags = m_pCommandBars->IsLayoutRTL() ? 9 : 1;
    CXTPCommandBars::TrackPopupBar(m_pContextMenu, nFlags, ptScreen.x, ptScreen.y, this);
}

void CXTPCustomizeSheet::OnResetControl()
{
    CXTPControl* pControl = GetSelectedControl();
    if (pControl == NULL)
        return;
    if (pControl->GetCustomIconId() != 0 || !pControl->GetCustomCaption().IsEmpty() ||
        pControl->GetCustomStyle() != -1)
    {
        pControl->SetCustomIconId(0);
        pControl->SetCustomCaption(_T(""));
        pControl->SetCustomStyle(-1);
        RecalcSelectedParent();
    }
}

void CXTPCustomizeSheet::OnDeleteControl()
{
    CXTPControl* pControl = GetSelectedControl();
    if (pControl == NULL)
        return;
    pControl->InternalAddRef();
    m_pCommandBars->SetDragControl(NULL);
    CXTPCommandBar* pParent = pControl->GetParent();
    if (pParent != NULL)
    {
        pParent->GetControls()->Remove(pControl);
        pParent->OnRecalcLayout();
    }
    pControl->InternalRelease();
}

void CXTPCustomizeSheet::SetSelectedCaption(LPCTSTR lpszCaption)
{
    CXTPControl* pControl = GetSelectedControl();
    if (pControl == NULL)
        return;
    pControl->SetCustomCaption(lpszCaption);
    RecalcSelectedParent();
}

void CXTPCustomizeSheet::OnCopyButtonImage()
{
    CXTPControl* pControl = GetSelectedControl();
    if (!HasImage(pControl))
        return;
    CXTPImageManager* pImageManager = m_pCommandBars->GetImageManager();
    CXTPImageManagerIcon* pIcon = pImageManager->GetImage((UINT)pControl->GetIconId(), 16);
    if (pIcon == NULL)
        return;

    CXTPImageManagerIconHandle& hIcon = pIcon->GetIcon();
    BOOL bAlpha = hIcon.IsAlpha();
    HBITMAP hBitmap = NULL;
    CSize szIcon = pIcon->GetExtent();
    if (bAlpha)
    {
        hBitmap = CXTPImageManager::CopyAlphaBitmap(hIcon.GetBitmap());
    }
    else
    {
        HDC hScreen = ::GetDC(NULL);
        hBitmap = ::CreateCompatibleBitmap(hScreen, szIcon.cx, szIcon.cy);
        HDC hMem = ::CreateCompatibleDC(hScreen);
        if (hBitmap != NULL && hMem != NULL)
        {
            HGDIOBJ hOld = ::SelectObject(hMem, hBitmap);
            CRect rc(0, 0, szIcon.cx, szIcon.cy);
            ::FillRect(hMem, &rc, ::GetSysColorBrush(COLOR_BTNFACE));
            ::DrawIconEx(hMem, 0, 0, hIcon.GetIcon(), szIcon.cx, szIcon.cy, 0, NULL, DI_NORMAL);
            ::SelectObject(hMem, hOld);
        }
        if (hMem != NULL)
            ::DeleteDC(hMem);
        ::ReleaseDC(NULL, hScreen);
    }
    if (hBitmap == NULL)
        return;

    if (!::OpenClipboard(GetSafeHwnd()))
    {
        ::DeleteObject(hBitmap);
        return;
    }
    if (!::EmptyClipboard())
    {
        ::CloseClipboard();
        ::DeleteObject(hBitmap);
        return;
    }
    // Once the clipboard took the bitmap it is the clipboard's.
    if (::SetClipboardData(CF_BITMAP, hBitmap) == NULL)
        ::DeleteObject(hBitmap);
    if (bAlpha)
    {
        HGLOBAL hMarker = ::GlobalAlloc(GMEM_MOVEABLE, 1);
        if (hMarker != NULL && ::SetClipboardData(CXTPImageManager::GetAlphaBitmapClipFormat(), hMarker) == NULL)
            ::GlobalFree(hMarker);
    }
    // The whole icon set goes along (every size the button has), while the
    // clipboard is still open: SetClipboardData needs it open.
    if (pImageManager->GetIconSet((UINT)pControl->GetIconId()) != NULL)
        pImageManager->CopyImage((UINT)pControl->GetIconId());
    ::CloseClipboard();
}

void CXTPCustomizeSheet::OnPasteButtonImage()
{
    CXTPControl* pControl = GetSelectedControl();
    if (pControl == NULL || pControl->GetType() < xtpControlButton || pControl->GetType() > xtpControlSplitButtonPopup)
        return;
    CXTPImageManager* pImageManager = m_pCommandBars->GetImageManager();
    COleDataObject data;
    if (!data.AttachClipboard())
        return;
    if (data.IsDataAvailable((CLIPFORMAT)CXTPImageManager::GetImageClipFormat()))
    {
        UINT nId = pImageManager->PasteCustomImage(&data);
        if (nId != 0)
        {
            pControl->SetCustomIconId((int)nId);
            RecalcSelectedParent();
        }
        return;
    }
    if (!data.IsDataAvailable(CF_BITMAP))
        return;

    CXTPImageManagerIconHandle hImage;
    if (!::OpenClipboard(GetSafeHwnd()))
        return;
    HBITMAP hBitmap = (HBITMAP)::GetClipboardData(CF_BITMAP);   // the clipboard's: never deleted here
    BOOL bAlpha = ::IsClipboardFormatAvailable(CXTPImageManager::GetAlphaBitmapClipFormat());
    if (hBitmap != NULL)
    {
        if (bAlpha)
        {
            HBITMAP hCopy = CXTPImageManager::CopyAlphaBitmap(hBitmap);
            if (hCopy != NULL)
                hImage.AttachBitmap(hCopy);
        }
        else
        {
            BITMAP bm;
            ZeroMemory(&bm, sizeof(bm));
            ::GetObject(hBitmap, sizeof(bm), &bm);
            if (bm.bmWidth > 0 && bm.bmHeight > 0)
            {
                HIMAGELIST hList = ImageList_Create(bm.bmWidth, bm.bmHeight, ILC_COLOR24 | ILC_MASK, 0, 1);
                if (hList != NULL)
                {
                    ImageList_AddMasked(hList, hBitmap, ::GetSysColor(COLOR_BTNFACE));
                    if (ImageList_GetImageCount(hList) == 1)
                    {
                        HICON hIcon = ImageList_GetIcon(hList, 0, ILD_NORMAL);
                        if (hIcon != NULL)
                            hImage.AttachIcon(hIcon);
                    }
                    ImageList_Destroy(hList);
                }
            }
        }
    }
    ::CloseClipboard();
    if (hImage.IsEmpty())
        return;
    UINT nId = pImageManager->AddCustomIcon(hImage);
    if (nId != 0)
    {
        pControl->SetCustomIconId((int)nId);
        RecalcSelectedParent();
    }
}

void CXTPCustomizeSheet::OnResetButtonImage()
{
    CXTPControl* pControl = GetSelectedControl();
    if (pControl == NULL)
        return;
    pControl->SetCustomIconId(0);
    RecalcSelectedParent();
}

BOOL CXTPCustomizeSheet::EditButtonImage(CXTPImageManagerIconHandle* pImage, CSize szIcon,
                                         CXTPImageManagerIconHandle& hResult)
{
    CXTPImageEditorDlg dlg(this, TRUE);
    if (pImage != NULL && !pImage->IsEmpty())
        dlg.SetIcon(*pImage);
    else
        dlg.SetIconSize(szIcon);
    if (dlg.DoModal() != IDOK)
        return FALSE;
    dlg.GetIcon(&hResult);
    return !hResult.IsEmpty();
}

void CXTPCustomizeSheet::OnEditButtonImage()
{
    // One editor at a time.
    if (m_pEditedControl != NULL)
        return;
    CXTPControl* pControl = GetSelectedControl();
    if (!HasImage(pControl))
        return;
    CXTPCommandBar* pParent = pControl->GetParent();
    CSize szIcon = pParent != NULL ? pParent->GetIconSize() : CSize(16, 16);
    CXTPImageManager* pImageManager = m_pCommandBars->GetImageManager();
    CXTPImageManagerIcon* pIcon = pImageManager->GetImage((UINT)pControl->GetIconId(), szIcon.cx);

    // The control and its bar stay alive while the editor runs, whatever
    // happens to them, so that the answer can be checked against them.
    pControl->InternalAddRef();
    if (pParent != NULL)
        pParent->InternalAddRef();
    m_pEditedControl = pControl;
    XTPMouseManager()->CloseAllTracked();

    CXTPImageManagerIconHandle hResult;
    BOOL bOK = EditButtonImage(pIcon != NULL ? &pIcon->GetIcon() : NULL, szIcon, hResult) && !hResult.IsEmpty();
    m_pEditedControl = NULL;
    if (bOK)
        ApplyEditedImage(pControl, pParent, szIcon, hResult);

    if (pParent != NULL)
        pParent->InternalRelease();
    pControl->InternalRelease();
}

void CXTPCustomizeSheet::ApplyEditedImage(CXTPControl* pControl, CXTPCommandBar* pParent, CSize szIcon,
                                          CXTPImageManagerIconHandle& hImage)
{
    // A control that left its bar while the editor was open (the program
    // removed it) is not there to be changed.
    CXTPControls* pControls = pParent != NULL ? pParent->GetControls() : NULL;
    if (pParent == NULL || pControl->GetParent() != pParent || pControls == NULL ||
        pControls->GetAt(pControl->GetIndex()) != pControl)
        return;

    // The control's own custom icon is changed in place; one that another
    // control shows too (a copy dragged from it) stays as it is for that
    // other control, and this one gets a new icon.
    CXTPImageManager* pImageManager = m_pCommandBars->GetImageManager();
    const int nCustomId = pControl->GetCustomIconId();
    CXTPImageManagerIcon* pCustom = nCustomId > 0 && !IsCustomIconShared(pControl, nCustomId)
                                        ? pImageManager->GetImage((UINT)nCustomId, szIcon.cx)
                                        : NULL;
    if (pCustom != NULL)
    {
        pCustom->SetIcon(hImage);
    }
    else
    {
        UINT nId = pImageManager->AddCustomIcon(hImage);
        if (nId == 0)
            return;
        pControl->SetCustomIconId((int)nId);
    }
    pParent->OnRecalcLayout();
    pParent->Redraw();
}

namespace
{
// Whether a control other than pExcept in the collection, or in the popups
// opened from it, shows the custom icon.
BOOL ControlsShowCustomIcon(CXTPControls* pControls, CXTPControl* pExcept, int nIconId, int nDepth)
{
    if (pControls == NULL || nDepth > 16)
        return FALSE;
    for (int i = 0; i < pControls->GetCount(); i++)
    {
        CXTPControl* pControl = pControls->GetAt(i);
        if (pControl == NULL)
            continue;
        if (pControl != pExcept && pControl->GetCustomIconId() == nIconId)
            return TRUE;
        CXTPCommandBar* pPopup = pControl->GetCommandBar();
        if (pPopup != NULL && pPopup->GetControls() != pControls &&
            ControlsShowCustomIcon(pPopup->GetControls(), pExcept, nIconId, nDepth + 1))
            return TRUE;
    }
    return FALSE;
}
} // namespace

BOOL CXTPCustomizeSheet::IsCustomIconShared(CXTPControl* pControl, int nIconId) const
{
    if (m_pCommandBars == NULL)
        return FALSE;
    CXTPCommandBar* pMenuBar = m_pCommandBars->GetMenuBar();
    if (pMenuBar != NULL && ControlsShowCustomIcon(pMenuBar->GetControls(), pControl, nIconId, 0))
        return TRUE;
    for (int i = 0; i < m_pCommandBars->GetCount(); i++)
    {
        CXTPCommandBar* pBar = m_pCommandBars->GetAt(i);
        if (pBar != NULL && pBar != pMenuBar && ControlsShowCustomIcon(pBar->GetControls(), pControl, nIconId, 0))
            return TRUE;
    }
    return FALSE;
}

void CXTPCustomizeSheet::OnStyle(UINT nID)
{
    CXTPControl* pControl = GetSelectedControl();
    if (pControl == NULL)
        return;
    switch (nID)
    {
    case XTP_ID_CUSTOMIZE_DEFAULTSTYLE:
        pControl->SetCustomStyle(xtpButtonAutomatic);
        break;
    case XTP_ID_CUSTOMIZE_IMAGEANDTEXT:
        pControl->SetCustomStyle(xtpButtonIconAndCaption);
        break;
    case XTP_ID_CUSTOMIZE_TEXTONLY:
        pControl->SetCustomStyle(xtpButtonCaption);
        break;
    default:
        return;
    }
    RecalcSelectedParent();
}

void CXTPCustomizeSheet::OnBeginGroup()
{
    CXTPControl* pControl = GetSelectedControl();
    if (pControl == NULL)
        return;
    pControl->SetBeginGroup(!pControl->GetBeginGroup());
    RecalcSelectedParent();
}

void CXTPCustomizeSheet::OnUpdateResetControl(CCmdUI* pCmdUI)
{
    CXTPControl* pControl = GetSelectedControl();
    pCmdUI->Enable(pControl != NULL && (pControl->GetCustomIconId() >= 1 || !pControl->GetCustomCaption().IsEmpty() ||
                                        pControl->GetCustomStyle() != -1));
}

void CXTPCustomizeSheet::OnUpdateAlways(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(TRUE);
}

void CXTPCustomizeSheet::OnUpdateCopyButtonImage(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(HasImage(GetSelectedControl()));
}

void CXTPCustomizeSheet::OnUpdatePasteButtonImage(CCmdUI* pCmdUI)
{
    CXTPControl* pControl = GetSelectedControl();
    pCmdUI->Enable(pControl != NULL && pControl->GetType() >= xtpControlButton &&
                   pControl->GetType() <= xtpControlSplitButtonPopup && ::IsClipboardFormatAvailable(CF_BITMAP));
}

void CXTPCustomizeSheet::OnUpdateResetButtonImage(CCmdUI* pCmdUI)
{
    CXTPControl* pControl = GetSelectedControl();
    pCmdUI->Enable(pControl != NULL && pControl->GetCustomIconId() >= 1);
}

void CXTPCustomizeSheet::OnUpdateStyle(CCmdUI* pCmdUI)
{
    CXTPControl* pControl = GetSelectedControl();
    BOOL bImage = HasImage(pControl);
    XTPButtonStyle style = pControl != NULL ? pControl->GetShownStyle() : xtpButtonAutomatic;
    switch (pCmdUI->m_nID)
    {
    case XTP_ID_CUSTOMIZE_DEFAULTSTYLE:
        pCmdUI->Enable(bImage);
        pCmdUI->SetCheck(!bImage || style == xtpButtonAutomatic || style == xtpButtonIcon);
        break;
    case XTP_ID_CUSTOMIZE_IMAGEANDTEXT:
        pCmdUI->Enable(bImage);
        pCmdUI->SetCheck(bImage && style == xtpButtonIconAndCaption);
        break;
    case XTP_ID_CUSTOMIZE_TEXTONLY:
        pCmdUI->Enable(bImage);
        pCmdUI->SetCheck(bImage && style == xtpButtonCaption);
        break;
    }
}

void CXTPCustomizeSheet::OnUpdateBeginGroup(CCmdUI* pCmdUI)
{
    CXTPControl* pControl = GetSelectedControl();
    pCmdUI->Enable(pControl != NULL && !pControl->IsFirstOnBar());
    pCmdUI->SetCheck(pControl != NULL && pControl->GetBeginGroup());
}

LRESULT CXTPCustomizeSheet::OnInitCommandsPopup(WPARAM, LPARAM lParam)
{
    CXTPCommandBar* pPopup = (CXTPCommandBar*)lParam;
    if (pPopup == NULL)
        return 0;
    if (pPopup == m_pContextMenu)
    {
        // The name box shows the selected control's caption.
        CXTPControlEdit* pEdit =
            DYNAMIC_DOWNCAST(CXTPControlEdit, m_pContextMenu->GetControls()->FindControl(XTP_ID_CUSTOMIZE_NAME));
        CXTPControl* pControl = GetSelectedControl();
        if (pEdit != NULL)
            pEdit->SetEditText(pControl != NULL ? (LPCTSTR)pControl->GetCaption() : _T(""));
        return 0;
    }
    if (pPopup->GetBarID() == XTP_ID_CUSTOMIZE_CHANGEBUTTONIMAGE && pPopup->GetControlCount() == 0)
    {
        LoadCustomIcons();
        // The image palette: the stock images in a square-ish grid.
        for (int i = 1; i <= m_nCustomIconCount; i++)
        {
            CXTPControl* pButton = pPopup->GetControls()->Add(xtpControlButton, XTP_ID_CUSTOMIZE_CHANGEBUTTONIMAGE);
            pButton->SetIconId(i);
            pButton->SetStyle(xtpButtonIcon);
            pButton->SetFlags(8);
        }
        if (m_nCustomIconCount > 0)
            pPopup->SetMRUWidth((int)floor(sqrt((double)m_nCustomIconCount)) * 23 + 6);
    }
    return 0;
}

BOOL CXTPCustomizeSheet::ApplyStockImage(UINT nStockId)
{
    LoadCustomIcons();
    CXTPControl* pControl = GetSelectedControl();
    CXTPImageManagerIconSet* pSet = m_pCustomIcons != NULL ? m_pCustomIcons->GetIconSet(nStockId) : NULL;
    if (pControl == NULL || pSet == NULL || pSet->GetIcons()->GetCount() != 1)
        return FALSE;
    CXTPImageManagerIcon* pIcon = m_pCustomIcons->GetImage(nStockId, 16);
    if (pIcon == NULL)
        return FALSE;
    UINT nId = m_pCommandBars->GetImageManager()->AddCustomIcon(pIcon->GetIcon());
    if (nId == 0)
        return FALSE;
    pControl->SetCustomIconId((int)nId);
    RecalcSelectedParent();
    return TRUE;
}

LRESULT CXTPCustomizeSheet::OnFloatStatus(WPARAM wParam, LPARAM)
{
    // The frame stays enabled while the sheet is open; a modal window that
    // disables the frame (a dialog opened from a floating pane, a question)
    // holds the sheet too, as it holds the floating windows, and lets it
    // go with them.
    if (wParam & (FS_ENABLE | FS_DISABLE))
        EnableWindow((wParam & FS_ENABLE) != 0);
    // A window manager raises a window whose title bar (its own) is
    // clicked, disabled or not, and tells the program nothing but that the
    // display showed its covered part, upon which Wine puts it above the
    // windows that covered it in the order: while the sheet is held, that
    // order is looked at now and then, and where it has the sheet above the
    // window that holds it, that window comes back over it, as after a click
    // on the sheet's own area.
    if ((wParam & FS_DISABLE) && AfxWindowManagerStacksWindows())
        SetTimer(kHeldTimer, kHeldCheckMilliseconds, NULL);
    if (wParam & FS_ENABLE)
        KillTimer(kHeldTimer);
    return 0;
}

void CXTPCustomizeSheet::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kHeldTimer)
    {
        CPropertySheet::OnTimer(nIDEvent);
        return;
    }
    if (IsWindowEnabled())
    {
        KillTimer(kHeldTimer);
        return;
    }
    // The window that holds the sheet, when the order has the sheet above it.
    HWND hRoot = m_hWnd;
    for (HWND hOwner = ::GetWindow(hRoot, GW_OWNER); hOwner != NULL; hOwner = ::GetWindow(hRoot, GW_OWNER))
        hRoot = hOwner;
    HWND hModal = ::GetLastActivePopup(hRoot);
    if (hModal == NULL || hModal == m_hWnd || hModal == hRoot)
        return;
    const std::vector<HWND> order = AfxGetTopLevelWindows();
    const auto itSheet = std::find(order.begin(), order.end(), m_hWnd);
    if (itSheet != order.end() && std::find(itSheet, order.end(), hModal) != order.end())
        AfxNoteClickOnDisabledWindow(m_hWnd);
}

LRESULT CXTPCustomizeSheet::OnControlCommand(WPARAM wParam, LPARAM lParam)
{
    NMXTPCONTROL* pNM = (NMXTPCONTROL*)lParam;
    if (pNM == NULL || pNM->hdr.code != CBN_XTP_EXECUTE || pNM->pControl == NULL)
        return 0;
    UINT nID = (UINT)wParam;
    if (nID == XTP_ID_CUSTOMIZE_NAME)
    {
        CXTPControlEdit* pEdit = DYNAMIC_DOWNCAST(CXTPControlEdit, pNM->pControl);
        if (pEdit != NULL)
            SetSelectedCaption(pEdit->GetEditText());
        return 1;
    }
    if (nID == XTP_ID_CUSTOMIZE_CHANGEBUTTONIMAGE)
    {
        ApplyStockImage((UINT)pNM->pControl->GetIconId());
        return 1;
    }
    if (nID >= XTP_ID_CUSTOMIZE_RESETCONTROL && nID <= XTP_ID_CUSTOMIZE_BEGINAGROUP)
        return 0;

    // A command executed on a bar while the sheet runs belongs to the program.
    CXTPCommandBar* pParent = pNM->pControl->GetParent();
    if (pParent != NULL && pParent->GetRootParent() != NULL)
        pParent->GetRootParent()->SetTrackingMode(FALSE);
    if (m_pSiteWnd == NULL || m_pSiteWnd->GetSafeHwnd() == NULL)
        return 1;
    if (m_pSiteWnd->SendMessage(WM_XTP_COMMAND, wParam, lParam) == 0)
        XTPDeliverCommand(m_pSiteWnd, nID);
    return 1;
}
