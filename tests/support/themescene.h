// A set of command bars for drawing tests of the paint themes: a frame with a
// menu bar and a tool bar docked on top, an open popup menu hanging from the
// menu bar, a client area and a status bar. The bars are real bar objects
// with hidden windows (for their client rectangles), laid out by the command
// bars' own layout and drawn through the global paint manager into any DC.
#pragma once

#include <afxwin.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "XTPCommandBar.h"
#include "XTPControl.h"
#include "XTPControlComboBox.h"
#include "XTPControlEdit.h"
#include "XTPControlPopup.h"
#include "XTPControls.h"
#include "XTPDockBar.h"
#include "XTPImageManager.h"
#include "XTPMenuBar.h"
#include "XTPPaintManager.h"
#include "XTPPopupBar.h"
#include "XTPStatusBar.h"
#include "XTPToolBar.h"
#include "support/canvas.h"
#include "support/snapshot.h"

namespace testsupport
{
// Command ids of the scene's icons.
enum SceneCommand
{
    idNew = 2001,
    idOpen,
    idSave,
    idCut,
    idCopy,
    idPaste,
    idUndo,
    idShade,
    idMark,
    idPrint,
    idHelp,
    idCommandCount = 11
};

namespace scene
{
inline void FillRect(HDC hDC, int l, int t, int r, int b, COLORREF clr)
{
    RECT rc = { l, t, r, b };
    HBRUSH hBrush = ::CreateSolidBrush(clr);
    ::FillRect(hDC, &rc, hBrush);
    ::DeleteObject(hBrush);
}

inline void Frame(HDC hDC, int l, int t, int r, int b, COLORREF clr)
{
    FillRect(hDC, l, t, r, t + 1, clr);
    FillRect(hDC, l, b - 1, r, b, clr);
    FillRect(hDC, l, t, l + 1, b, clr);
    FillRect(hDC, r - 1, t, r, b, clr);
}

// Paints the picture of one command into a 16 x 16 colour bitmap; white
// (255, 0, 255) is left transparent by the mask.
inline void PaintIcon(HDC hDC, int nCommand)
{
    const COLORREF clrKey = RGB(255, 0, 255);
    FillRect(hDC, 0, 0, 16, 16, clrKey);
    switch (nCommand)
    {
    case idNew:     // a page with a folded corner
        FillRect(hDC, 3, 1, 13, 15, RGB(255, 255, 255));
        Frame(hDC, 2, 0, 14, 16, RGB(90, 90, 90));
        FillRect(hDC, 10, 1, 13, 4, RGB(200, 200, 200));
        break;
    case idOpen:    // a yellow folder
        FillRect(hDC, 1, 4, 15, 14, RGB(240, 200, 60));
        FillRect(hDC, 1, 3, 7, 5, RGB(240, 200, 60));
        Frame(hDC, 0, 3, 16, 15, RGB(150, 110, 20));
        FillRect(hDC, 3, 7, 16, 8, RGB(255, 235, 150));
        break;
    case idSave:    // a blue disk
        FillRect(hDC, 1, 1, 15, 15, RGB(40, 80, 170));
        FillRect(hDC, 4, 2, 12, 7, RGB(255, 255, 255));
        FillRect(hDC, 4, 10, 12, 15, RGB(170, 170, 170));
        FillRect(hDC, 9, 11, 11, 14, RGB(40, 80, 170));
        break;
    case idCut:     // scissors
        for (int i = 0; i < 9; i++)
        {
            FillRect(hDC, 4 + i / 2, 1 + i, 5 + i / 2, 2 + i, RGB(80, 80, 80));
            FillRect(hDC, 11 - i / 2, 1 + i, 12 - i / 2, 2 + i, RGB(80, 80, 80));
        }
        Frame(hDC, 2, 10, 7, 15, RGB(200, 30, 30));
        Frame(hDC, 9, 10, 14, 15, RGB(200, 30, 30));
        break;
    case idCopy:    // two pages
        FillRect(hDC, 1, 1, 9, 11, RGB(255, 255, 255));
        Frame(hDC, 1, 1, 9, 11, RGB(60, 60, 140));
        FillRect(hDC, 6, 5, 15, 15, RGB(255, 255, 255));
        Frame(hDC, 6, 5, 15, 15, RGB(60, 60, 140));
        break;
    case idPaste:   // a clipboard
        FillRect(hDC, 2, 2, 14, 15, RGB(170, 120, 60));
        FillRect(hDC, 5, 1, 11, 4, RGB(120, 120, 120));
        FillRect(hDC, 7, 6, 15, 15, RGB(255, 255, 255));
        Frame(hDC, 7, 6, 15, 15, RGB(60, 60, 60));
        break;
    case idUndo:    // a curved arrow
        for (int i = 0; i < 6; i++)
            FillRect(hDC, 4 + i, 5 - i / 3, 6 + i, 7 - i / 3, RGB(30, 110, 30));
        FillRect(hDC, 10, 4, 12, 12, RGB(30, 110, 30));
        FillRect(hDC, 1, 3, 4, 9, RGB(30, 110, 30));
        break;
    case idShade:   // a shaded and a plain square
        FillRect(hDC, 1, 1, 8, 8, RGB(40, 40, 40));
        FillRect(hDC, 8, 8, 15, 15, RGB(255, 255, 255));
        Frame(hDC, 1, 1, 15, 15, RGB(40, 40, 40));
        break;
    case idMark:    // a red dot
        for (int y = 0; y < 16; y++)
            for (int x = 0; x < 16; x++)
                if ((x - 7.5) * (x - 7.5) + (y - 7.5) * (y - 7.5) < 36)
                    ::SetPixel(hDC, x, y, RGB(210, 40, 40));
        break;
    case idPrint:   // a printer
        FillRect(hDC, 4, 1, 12, 6, RGB(255, 255, 255));
        Frame(hDC, 4, 1, 12, 6, RGB(90, 90, 90));
        FillRect(hDC, 1, 6, 15, 12, RGB(150, 150, 150));
        FillRect(hDC, 4, 11, 12, 15, RGB(255, 255, 255));
        Frame(hDC, 4, 11, 12, 15, RGB(90, 90, 90));
        break;
    default:        // a blue question mark ball
        for (int y = 0; y < 16; y++)
            for (int x = 0; x < 16; x++)
                if ((x - 7.5) * (x - 7.5) + (y - 7.5) * (y - 7.5) < 52)
                    ::SetPixel(hDC, x, y, RGB(40, 90, 200));
        FillRect(hDC, 6, 4, 10, 6, RGB(255, 255, 255));
        FillRect(hDC, 9, 5, 11, 8, RGB(255, 255, 255));
        FillRect(hDC, 7, 8, 9, 10, RGB(255, 255, 255));
        FillRect(hDC, 7, 11, 9, 13, RGB(255, 255, 255));
        break;
    }
}
} // namespace scene

// Gives every scene command a 16 x 16 icon in the global image manager.
inline void RegisterSceneIcons()
{
    const COLORREF clrKey = RGB(255, 0, 255);
    for (int nCommand = idNew; nCommand < idNew + idCommandCount; nCommand++)
    {
        testsupport::Canvas picture(16, 16, clrKey);
        scene::PaintIcon(picture.Handle(), nCommand);
        HICON hIcon = testsupport::MakeClassicIcon(
            16, 16, [&](int x, int y) { return picture.Pixel(x, y); },
            [&](int x, int y) { return picture.Pixel(x, y) != clrKey; });
        XTPImageManager()->SetIcon(CXTPImageManagerIconHandle(hIcon), nCommand, CSize(16, 16));
        ::DestroyIcon(hIcon);
    }
}

// The bar set. Every window is hidden; the windows sit at their scene
// coordinates on the screen, so that screen rectangles (the popup join)
// come out as on a real frame.
class ThemeScene
{
public:
    static const int kWidth = 560;
    static const int kHeight = 300;
    static const int kOrigin = 40;      // screen position of the scene's origin

    ThemeScene()
    {
        RegisterSceneIcons();
        LPCTSTR lpszClass = AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW));
        m_frame.CreateEx(WS_EX_TOOLWINDOW, lpszClass, _T("scene"), WS_POPUP,
                         CRect(kOrigin, kOrigin, kOrigin + kWidth, kOrigin + kHeight), NULL, 0);
        m_pDockBar = new CXTPDockBar();
        m_pDockBar->CreateEx(0, lpszClass, _T(""), WS_CHILD, CRect(0, 0, kWidth, 60), &m_frame, 0xE81B);

        m_pMenuBar = new CXTPMenuBar();
        m_pMenuBar->m_barPosition = xtpBarTop;
        m_pMenuBar->m_szButtons = CSize(23, 22);
        BuildMenuBar();
        m_pMenuBar->CreateEx(0, lpszClass, _T("Menu Bar"), WS_CHILD, CRect(0, 0, kWidth, 22), m_pDockBar, 1);

        m_pToolBar = new CXTPToolBar();
        m_pToolBar->m_barPosition = xtpBarTop;
        m_pToolBar->m_szButtons = CSize(23, 22);
        m_pToolBar->m_dwStyle |= XTP_CBRS_GRIPPER;
        m_pToolBar->m_strTitle = _T("Standard");
        BuildToolBar();
        m_pToolBar->CreateEx(0, lpszClass, _T("Standard"), WS_CHILD, CRect(0, 22, 300, 48), m_pDockBar, 2);

        m_pPopupBar = new CXTPPopupBar();
        BuildPopupBar();
        m_pPopupBar->CreateEx(WS_EX_TOOLWINDOW, lpszClass, _T(""), WS_POPUP, CRect(0, 0, 10, 10), NULL, 0);
        m_pPopupBar->SetControlPopup(m_pViewPopup);

        m_statusBar.CWnd::CreateEx(0, lpszClass, _T(""), WS_CHILD, CRect(0, kHeight - 22, kWidth, kHeight), &m_frame,
                             0xE801);
        m_statusBar.SetFont(CFont::FromHandle((HFONT)::GetStockObject(DEFAULT_GUI_FONT)));
        BuildStatusPanes();
    }

    ~ThemeScene()
    {
        m_pViewPopup->m_bPopup = FALSE;
        m_pPopupBar->SetControlPopup(NULL);
        Release(m_pPopupBar);
        Release(m_pToolBar);
        Release(m_pMenuBar);
        if (m_pDockBar->GetSafeHwnd() != NULL)
            m_pDockBar->DestroyWindow();
        delete m_pDockBar;
        for (CXTPStatusBarPane* pPane : m_panes)
            delete pPane;
        if (m_statusBar.GetSafeHwnd() != NULL)
            m_statusBar.DestroyWindow();
        if (m_frame.GetSafeHwnd() != NULL)
            m_frame.DestroyWindow();
    }

    ThemeScene(const ThemeScene&) = delete;
    ThemeScene& operator=(const ThemeScene&) = delete;

    // Lays every bar out with the current global paint manager and moves the
    // windows to their places.
    void Layout(CDC* pDC)
    {
        CXTPPaintManager* pPaintManager = XTPPaintManager();
        // The menu bar and the tool bar share the dock bar's one row.
        CSize szMenu = LayoutBar(pDC, m_pMenuBar, kWidth, LM_HORZ | LM_HORZDOCK | LM_COMMIT);
        CSize szTool = LayoutBar(pDC, m_pToolBar, kWidth, LM_HORZ | LM_HORZDOCK | LM_COMMIT);
        int nRow = std::max(szMenu.cy, szTool.cy);
        szMenu = LayoutBar(pDC, m_pMenuBar, kWidth, LM_HORZ | LM_HORZDOCK | LM_COMMIT, nRow - 4);
        szTool = LayoutBar(pDC, m_pToolBar, kWidth, LM_HORZ | LM_HORZDOCK | LM_COMMIT, nRow - 4);
        m_rcMenuBar = CRect(0, 0, szMenu.cx, szMenu.cy);
        PlaceChild(m_pMenuBar, m_rcMenuBar);
        m_rcToolBar = CRect(szMenu.cx + 2, 0, szMenu.cx + 2 + szTool.cx, szTool.cy);
        PlaceChild(m_pToolBar, m_rcToolBar);
        m_nDockHeight = std::max(szMenu.cy, szTool.cy) + 1;
        PlaceChild(m_pDockBar, CRect(0, 0, kWidth, m_nDockHeight));

        CRect rcBorders = pPaintManager->GetCommandBarBorders(m_pPopupBar);
        CSize szPopup = m_pPopupBar->GetControls()->CalcPopupSize(pDC, 2000, rcBorders);
        CRect rcView = m_pViewPopup->GetRect();
        CRect rcExclude = rcView;
        pPaintManager->AdjustExcludeRect(rcExclude, m_pViewPopup, FALSE);
        m_rcPopup = CRect(rcExclude.left, rcExclude.bottom, rcExclude.left + szPopup.cx, rcExclude.bottom + szPopup.cy);
        m_pPopupBar->SetWindowPos(NULL, kOrigin + m_rcPopup.left, kOrigin + m_rcPopup.top, m_rcPopup.Width(),
                                  m_rcPopup.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
        PlaceChild(&m_statusBar, CRect(0, kHeight - 22, kWidth, kHeight));
    }

    // Draws the whole set at the DC's origin.
    void Paint(CDC* pDC)
    {
        CXTPPaintManager* pPaintManager = XTPPaintManager();
        pPaintManager->FillDockBar(pDC, m_pDockBar);
        PaintBar(pDC, m_pMenuBar, m_rcMenuBar.TopLeft());
        PaintBar(pDC, m_pToolBar, m_rcToolBar.TopLeft());

        // The client area: a white view with a sunken edge.
        CRect rcClient(0, m_nDockHeight, kWidth, kHeight - 22);
        pDC->FillSolidRect(rcClient, ::GetSysColor(COLOR_WINDOW));
        pDC->Draw3dRect(rcClient, ::GetSysColor(COLOR_3DSHADOW), ::GetSysColor(COLOR_3DHIGHLIGHT));

        PaintStatusBar(pDC, CPoint(0, kHeight - 22));
        PaintBar(pDC, m_pPopupBar, m_rcPopup.TopLeft());
    }

    // Draws one bar, as it paints itself, with its client origin at pt.
    static void PaintBar(CDC* pDC, CXTPCommandBar* pBar, CPoint pt)
    {
        CPoint ptOld = pDC->OffsetViewportOrg(pt.x, pt.y);
        CRect rcClient;
        pBar->GetClientRect(&rcClient);
        pBar->DrawCommandBar(pDC, rcClient);
        pDC->SetViewportOrg(ptOld);
    }

    void PaintStatusBar(CDC* pDC, CPoint pt)
    {
        CXTPPaintManager* pPaintManager = XTPPaintManager();
        CPoint ptOld = pDC->OffsetViewportOrg(pt.x, pt.y);
        pPaintManager->FillStatusBar(pDC, &m_statusBar);
        CRect rcClient;
        m_statusBar.GetClientRect(&rcClient);
        int x = rcClient.right - 18;
        for (int i = (int)m_panes.size() - 1; i >= 0; i--)
        {
            int nWidth = i == 0 ? x - 2 : 64;
            CRect rcPane(x - nWidth, 2, x, rcClient.bottom);
            pPaintManager->DrawStatusBarPaneBorder(pDC, rcPane, FALSE);
            pPaintManager->DrawStatusBarPaneEntry(pDC, rcPane, m_panes[i]);
            x -= nWidth + 2;
        }
        pPaintManager->DrawStatusBarGripper(pDC, rcClient);
        pDC->SetViewportOrg(ptOld);
    }

    // One control of every type on the tool bar and on the popup bar (added
    // to the scene's bars at the end, hidden from Paint), drawn in every
    // state, together with every frame part; one round. Returns the number
    // of drawing calls made.
    int DrawEveryControl(CDC* pDC)
    {
        if (m_everyControl.empty())
            AddEveryControl();
        CXTPPaintManager* pPaintManager = XTPPaintManager();
        int nCalls = 0;
        struct State
        {
            int nSelected, nPressed, nChecked, nEnabled;
            BOOL bPopuped;
        };
        static const State states[] = { { 0, 0, 0, 1, FALSE }, { 1, 0, 0, 1, FALSE }, { 1, 1, 0, 1, FALSE },
                                         { 0, 0, 1, 1, FALSE }, { 1, 0, 1, 1, FALSE }, { 0, 0, 2, 1, FALSE },
                                         { 2, 3, 0, 1, FALSE }, { 0, 0, 1, 0, FALSE }, { 2, 0, 0, 0, FALSE },
                                         { 1, 0, 0, 1, TRUE },  { 1, 0, 0, 3, FALSE }, { 1, 0, 0, 4, TRUE } };
        for (CXTPControl* pControl : m_everyControl)
        {
            pControl->m_dwHideFlags = 0;
            for (const State& state : states)
            {
                pControl->m_nSelected = state.nSelected;
                pControl->m_nPressed = state.nPressed;
                pControl->m_bChecked = state.nChecked;
                pControl->m_bEnabled = state.nEnabled;
                CXTPControlPopup* pPopup = DYNAMIC_DOWNCAST(CXTPControlPopup, pControl);
                if (pPopup != NULL)
                    pPopup->m_bPopup = state.bPopuped;
                pPaintManager->DrawControl(pDC, pControl, FALSE);
                pPaintManager->DrawControl(pDC, pControl, TRUE);
                pPaintManager->DrawListBoxControl(pDC, pControl, CRect(0, 0, 200, 24), state.nSelected != 0,
                                                  state.nEnabled != 0, NULL);
                nCalls += 3;
            }
            if (CXTPControlPopup* pPopup = DYNAMIC_DOWNCAST(CXTPControlPopup, pControl))
                pPopup->m_bPopup = FALSE;
            pControl->m_dwHideFlags = xtpHideGeneric;
        }

        CXTPControl* pButton = m_pToolBar->GetControls()->GetAt(0);
        int nHidden = 1;
        CSize szBar(200, 26);
        for (int nKind = 0; nKind < 4; nKind++)
        {
            pPaintManager->DrawExpandOrHideButton(pDC, nKind, pButton, m_pToolBar, TRUE, &nHidden);
            pPaintManager->DrawExpandOrHideButton(NULL, nKind, pButton, m_pToolBar, FALSE, &szBar);
        }
        pButton->SetRect(CRect(0, 0, 23, 22));
        pPaintManager->DrawTearOffGripper(pDC, CRect(0, 0, 120, 9), TRUE, FALSE, TRUE);
        pPaintManager->DrawTearOffGripper(pDC, CRect(0, 0, 120, 9), FALSE, FALSE, TRUE);
        for (int nChecked = 0; nChecked < 3; nChecked++)
        {
            pPaintManager->DrawCheckBoxMark(pDC, CRect(0, 0, 13, 13), TRUE, nChecked == 1, FALSE, nChecked, TRUE);
            pPaintManager->DrawRadioButtonMark(pDC, CRect(0, 0, 13, 13), TRUE, FALSE, TRUE, nChecked, nChecked != 2);
        }
        pPaintManager->FillWorkspace(pDC, CRect(0, 0, 50, 50), CRect(0, 0, 0, 0));
        pPaintManager->DrawListBoxControl(pDC, NULL, CRect(0, 0, 200, 24), FALSE, TRUE, NULL);
        Paint(pDC);
        return nCalls + 15;
    }

    CXTPMenuBar* m_pMenuBar = nullptr;
    CXTPToolBar* m_pToolBar = nullptr;
    CXTPPopupBar* m_pPopupBar = nullptr;
    CXTPDockBar* m_pDockBar = nullptr;
    CXTPControlPopup* m_pViewPopup = nullptr;
    CXTPStatusBar m_statusBar;
    std::vector<CXTPStatusBarPane*> m_panes;
    CWnd m_frame;
    std::vector<CXTPControl*> m_everyControl;
    CRect m_rcPopup;
    CRect m_rcMenuBar;
    CRect m_rcToolBar;
    int m_nDockHeight = 0;

private:
    void AddEveryControl()
    {
        for (CXTPCommandBar* pBar : { (CXTPCommandBar*)m_pToolBar, (CXTPCommandBar*)m_pPopupBar })
        {
            BOOL bPopupBar = pBar == m_pPopupBar;
            for (int nType = xtpControlButton; nType <= xtpControlRadioButton; nType++)
            {
                CXTPControl* pControl;
                if (nType == xtpControlComboBox)
                    pControl = pBar->GetControls()->Add(new CXTPControlComboBox(), idOpen);
                else if (nType == xtpControlEdit)
                {
                    CXTPControlEdit* pEdit = new CXTPControlEdit();
                    pEdit->ShowSpinButtons();
                    pControl = pBar->GetControls()->Add(pEdit, idSave);
                }
                else
                    pControl = pBar->GetControls()->Add((XTPControlType)nType, idNew + nType % idCommandCount);
                pControl->SetCaption(_T("&Caption text"));
                pControl->SetShortcutText(_T("Ctrl+K"));
                if (nType == xtpControlComboBox || nType == xtpControlEdit)
                    pControl->SetWidth(120);
                if (nType == xtpControlLabel)
                    pControl->SetStyle(xtpButtonCaptionAndDescription);
                pControl->SetDescription(_T("A longer description of what the command does"));
                pControl->SetRect(bPopupBar ? CRect(2, 2, 220, 24) : CRect(2, 2, 90, 24));
                pControl->m_dwHideFlags = xtpHideGeneric;
                m_everyControl.push_back(pControl);
            }
        }
    }

    static void Release(CXTPCommandBar* pBar)
    {
        if (pBar == NULL)
            return;
        if (pBar->GetSafeHwnd() != NULL)
            pBar->DestroyWindow();
        pBar->InternalRelease();
    }

    void PlaceChild(CWnd* pWnd, CRect rc)
    {
        pWnd->SetWindowPos(NULL, rc.left, rc.top, rc.Width(), rc.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    }

    static CSize LayoutBar(CDC* pDC, CXTPCommandBar* pBar, int nLength, DWORD dwMode, int nWidth = 0)
    {
        CXTPPaintManager* pPaintManager = XTPPaintManager();
        CRect rcBorders = pPaintManager->GetCommandBarBorders(pBar);
        if (pBar->GetShowGripper())
        {
            CSize szGripper = pPaintManager->DrawCommandBarGripper(NULL, pBar, FALSE);
            rcBorders.left += szGripper.cx;
            rcBorders.top += szGripper.cy;
        }
        return pBar->GetControls()->CalcDynamicSize(pDC, nLength, dwMode, rcBorders, nWidth);
    }

    static CXTPControl* Add(CXTPCommandBar* pBar, XTPControlType type, int nId, LPCTSTR lpszCaption)
    {
        CXTPControl* pControl = pBar->GetControls()->Add(type, nId);
        pControl->SetCaption(lpszCaption);
        return pControl;
    }

    void BuildMenuBar()
    {
        static LPCTSTR captions[] = { _T("&Game"), _T("&Edit"), _T("&View"), _T("&Help") };
        for (int i = 0; i < 4; i++)
        {
            CXTPControl* pControl = Add(m_pMenuBar, xtpControlPopup, 0, captions[i]);
            if (i == 1)
                pControl->m_nSelected = 1;      // hot
            if (i == 2)
                m_pViewPopup = (CXTPControlPopup*)pControl;
        }
        m_pViewPopup->m_bPopup = TRUE;
    }

    void BuildToolBar()
    {
        Add(m_pToolBar, xtpControlButton, idNew, _T("New"));
        Add(m_pToolBar, xtpControlButton, idOpen, _T("Open"));
        Add(m_pToolBar, xtpControlButton, idSave, _T("Save"));
        Add(m_pToolBar, xtpControlButton, idCut, _T("Cut"))->SetBeginGroup(TRUE);
        Add(m_pToolBar, xtpControlButton, idCopy, _T("Copy"))->m_nSelected = 1;   // hot
        Add(m_pToolBar, xtpControlButton, idPaste, _T("Paste"))->SetEnabled(FALSE);
        CXTPControl* pUndo = Add(m_pToolBar, xtpControlButton, idUndo, _T("Undo"));
        pUndo->SetBeginGroup(TRUE);
        pUndo->m_nSelected = 1;
        pUndo->m_nPressed = 1;                                                     // pressed
        Add(m_pToolBar, xtpControlButton, idShade, _T("Shade"))->SetChecked(TRUE);
        CXTPControl* pMark = Add(m_pToolBar, xtpControlButton, idMark, _T("Mark"));
        pMark->SetChecked(TRUE);
        pMark->m_nSelected = 1;                                                    // checked and hot
        CXTPControl* pPrint = Add(m_pToolBar, xtpControlSplitButtonPopup, idPrint, _T("Print"));
        pPrint->SetBeginGroup(TRUE);
        pPrint->SetStyle(xtpButtonIconAndCaption);
        Add(m_pToolBar, xtpControlButton, idHelp, _T("Help"));
    }

    void BuildPopupBar()
    {
        CXTPControl* pControl = Add(m_pPopupBar, xtpControlButton, idNew, _T("&New Puzzle..."));
        pControl->SetShortcutText(_T("Ctrl+N"));
        pControl = Add(m_pPopupBar, xtpControlButton, idOpen, _T("&Open..."));
        pControl->SetShortcutText(_T("Ctrl+O"));
        pControl = Add(m_pPopupBar, xtpControlButton, 0, _T("Show &Islands"));
        pControl->SetBeginGroup(TRUE);
        pControl->SetChecked(TRUE);
        pControl = Add(m_pPopupBar, xtpControlButton, 0, _T("Show &Duplicates"));
        pControl->SetChecked(TRUE);
        pControl->m_nSelected = 1;
        Add(m_pPopupBar, xtpControlButton, idShade, _T("&Shaded Squares"))->SetChecked(TRUE);
        Add(m_pPopupBar, xtpControlRadioButton, 0, _T("&Auto-mark"))->SetChecked(TRUE);
        Add(m_pPopupBar, xtpControlButton, idPaste, _T("&Paste Grid"))->SetEnabled(FALSE);
        pControl = Add(m_pPopupBar, xtpControlPopup, 0, _T("&Zoom"));
        pControl->SetBeginGroup(TRUE);
        Add(m_pPopupBar, xtpControlButton, idPrint, _T("&Print..."))->SetShortcutText(_T("Ctrl+P"));
    }

    void BuildStatusPanes()
    {
        static LPCTSTR texts[] = { _T("Ready"), _T("00:12:34"), _T("CAP"), _T("NUM") };
        for (int i = 0; i < 4; i++)
        {
            CXTPStatusBarPane* pPane = new CXTPStatusBarPane();
            pPane->m_pStatusBar = &m_statusBar;
            pPane->m_strText = texts[i];
            pPane->m_nAlignment = i == 0 ? 0 : 1;
            if (i == 2)
                pPane->m_nStyle = SBPS_DISABLED;
            m_panes.push_back(pPane);
        }
    }
};
// Installs a new theme of the class as the global paint manager for the
// length of a test; the default theme comes back after it.
template <class TTheme>
class InstalledThemeTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pTheme = new TTheme();
        CXTPPaintManager::SetCustomTheme(m_pTheme);
    }
    void TearDown() override { CXTPPaintManager::SetTheme(xtpThemeDefault); }

    TTheme* m_pTheme = nullptr;
};

// Lays out and draws the bar set with the global paint manager on a DIB of
// nBits bits per pixel and saves it as a snapshot of the given name.
inline bool SaveSceneSnapshot(const char* pszName, int nBits = 24)
{
    ThemeScene scene;
    testsupport::Canvas canvas(ThemeScene::kWidth, ThemeScene::kHeight, RGB(255, 255, 255), nBits);
    scene.Layout(canvas.DC());
    scene.Paint(canvas.DC());
    return !SaveSnapshot(canvas, pszName).empty();
}
// Draws every control in every state and every frame part about 1,000 times
// with the global paint manager, after one round that lets lazily made
// images come into being; returns the GDI high water before and after.
inline std::pair<DWORD, DWORD> GdiHighWaterAroundThousandDraws()
{
    ThemeScene scene;
    testsupport::Canvas canvas(ThemeScene::kWidth, ThemeScene::kHeight);
    scene.Layout(canvas.DC());
    scene.DrawEveryControl(canvas.DC());
    DWORD dwBefore = GdiHighWater();
    for (int nCalls = 0; nCalls < 1000;)
        nCalls += scene.DrawEveryControl(canvas.DC());
    return std::make_pair(dwBefore, GdiHighWater());
}
} // namespace testsupport
