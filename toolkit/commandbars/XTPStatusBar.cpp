// The status bar and its panes.
#include "XTPStatusBar.h"

#include "XTPCommandBars.h"
#include "XTPCommandBarsDefines.h"
#include "XTPDCHelpers.h"
#include "XTPImageManager.h"
#include "XTPPaintManager.h"
#include "XTPToolTipContext.h"

#include <commctrl.h>

namespace {

// The part of a pane style the control keeps as its drawing type.
const UINT kControlTypeMask = 0xFFFF;

// The non-client metrics as the system of the program's era lays them out.
const UINT kNonClientMetricsSize = 340;

void GetStatusLogFont(LOGFONT& lf)
{
    BYTE buffer[sizeof(NONCLIENTMETRICSA) + 16] = {0};
    NONCLIENTMETRICSA* pncm = (NONCLIENTMETRICSA*)buffer;
    pncm->cbSize = kNonClientMetricsSize;
    if (::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, kNonClientMetricsSize, pncm, 0))
    {
        lf = pncm->lfStatusFont;
        return;
    }
    ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof(LOGFONT), &lf);
}

} // namespace

//////////////////////////////////////////////////////////////////////////
// CXTPStatusBarPane

IMPLEMENT_DYNAMIC(CXTPStatusBarPane, CCmdTarget)

CXTPStatusBarPane::CXTPStatusBarPane()
    : m_nID(0), m_cxText(0), m_nStyle(0), m_nFlags(0), m_bVisible(TRUE), m_clrText(COLORREF_NULL),
      m_clrBackground(COLORREF_NULL), m_hWndPane(NULL), m_bAutoDeleteWnd(FALSE), m_nAlignment(0),
      m_pStatusBar(NULL), m_nIndex(-1), m_nVisibleIndex(-1), m_nIconId(-1), m_rcPadding(2, 1, 2, 1)
{
}

CXTPStatusBarPane::~CXTPStatusBarPane()
{
    if (m_hWndPane != NULL && ::IsWindow(m_hWndPane))
    {
        CWnd* pWnd = CWnd::FromHandlePermanent(m_hWndPane);
        ::DestroyWindow(m_hWndPane);
        if (m_bAutoDeleteWnd && pWnd != NULL)
            delete pWnd;
    }
    m_hWndPane = NULL;
}

CFont* CXTPStatusBarPane::GetTextFont()
{
    if (m_fntText.GetSafeHandle() != NULL)
        return &m_fntText;
    return m_pStatusBar != NULL ? m_pStatusBar->GetFont() : NULL;
}

CXTPImageManagerIcon* CXTPStatusBarPane::GetImage()
{
    if (m_nIconId == -1)
        return NULL;
    CXTPImageManager* pImageManager = NULL;
    if (m_pStatusBar != NULL && m_pStatusBar->GetCommandBars() != NULL)
        pImageManager = m_pStatusBar->GetCommandBars()->GetImageManager();
    if (pImageManager == NULL)
        pImageManager = XTPImageManager();
    return pImageManager->GetImage(m_nIconId, 0);
}

void CXTPStatusBarPane::Draw(CDC* pDC, CRect rcItem)
{
    CXTPPaintManager* pPaintManager = m_pStatusBar != NULL ? m_pStatusBar->GetPaintManager() : NULL;
    if (pPaintManager != NULL)
        pPaintManager->DrawStatusBarPaneEntry(pDC, rcItem, this);
}

void CXTPStatusBarPane::SetPadding(int cxLeft, int cyTop, int cxRight, int cyBottom)
{
    m_rcPadding.SetRect(cxLeft, cyTop, cxRight, cyBottom);
    if (m_pStatusBar != NULL)
        m_pStatusBar->Invalidate(FALSE);
}

void CXTPStatusBarPane::SetText(LPCTSTR lpszText)
{
    if (m_pStatusBar != NULL && m_nIndex >= 0)
        m_pStatusBar->SetPaneText(m_nIndex, lpszText);
    else
        m_strText = lpszText;
}

void CXTPStatusBarPane::SetVisible(BOOL bVisible)
{
    if (m_bVisible == bVisible)
        return;
    m_bVisible = bVisible;
    m_nFlags |= xtpTextPending;
    if (m_pStatusBar != NULL)
        m_pStatusBar->UpdateAllPanes(TRUE, TRUE);
}

void CXTPStatusBarPane::SetTextColor(COLORREF clr)
{
    m_clrText = clr;
    if (m_pStatusBar != NULL)
        m_pStatusBar->Invalidate(FALSE);
}

void CXTPStatusBarPane::SetBackgroundColor(COLORREF clr)
{
    m_clrBackground = clr;
    if (m_pStatusBar != NULL)
        m_pStatusBar->Invalidate(FALSE);
}

void CXTPStatusBarPane::SetTextAlignment(int nAlign)
{
    m_nAlignment = nAlign;
    if (m_pStatusBar != NULL)
        m_pStatusBar->Invalidate(FALSE);
}

void CXTPStatusBarPane::SetWidth(int nWidth)
{
    if (m_pStatusBar != NULL && m_nIndex >= 0)
        m_pStatusBar->SetPaneWidth(m_nIndex, nWidth);
    else
        m_cxText = nWidth;
}

void CXTPStatusBarPane::SetIconId(int nIconId)
{
    m_nIconId = nIconId;
    if (m_pStatusBar != NULL)
        m_pStatusBar->Invalidate(FALSE);
}

void CXTPStatusBarPane::SetTextFont(CFont* pFont)
{
    m_fntText.DeleteObject();
    LOGFONT lf;
    if (pFont != NULL && pFont->GetSafeHandle() != NULL && pFont->GetLogFont(&lf))
        m_fntText.CreateFontIndirect(&lf);
    if (m_pStatusBar != NULL)
        m_pStatusBar->Invalidate(FALSE);
}

void CXTPStatusBarPane::SetChildWindow(CWnd* pWnd, BOOL bAutoDelete)
{
    m_hWndPane = pWnd->GetSafeHwnd();
    m_bAutoDeleteWnd = bAutoDelete;
    if (m_pStatusBar != NULL)
        m_pStatusBar->UpdateAllPanes(TRUE, FALSE);
}

//////////////////////////////////////////////////////////////////////////
// CXTPStatusBar::CStatusCmdUI

void CXTPStatusBar::CStatusCmdUI::Enable(BOOL bOn)
{
    m_bEnableChanged = TRUE;
    CXTPStatusBar* pStatusBar = static_cast<CXTPStatusBar*>(m_pOther);
    UINT nNewStyle = pStatusBar->GetPaneStyle((int)m_nIndex) & ~XTP_SBPS_DISABLED;
    if (!bOn)
        nNewStyle |= XTP_SBPS_DISABLED;
    pStatusBar->SetPaneStyle((int)m_nIndex, nNewStyle);
}

void CXTPStatusBar::CStatusCmdUI::SetCheck(int nCheck)
{
    CXTPStatusBar* pStatusBar = static_cast<CXTPStatusBar*>(m_pOther);
    UINT nNewStyle = pStatusBar->GetPaneStyle((int)m_nIndex) & ~XTP_SBPS_POPOUT;
    if (nCheck != 0)
        nNewStyle |= XTP_SBPS_POPOUT;
    pStatusBar->SetPaneStyle((int)m_nIndex, nNewStyle);
}

void CXTPStatusBar::CStatusCmdUI::SetText(LPCTSTR lpszText)
{
    static_cast<CXTPStatusBar*>(m_pOther)->SetPaneText((int)m_nIndex, lpszText, TRUE);
}

//////////////////////////////////////////////////////////////////////////
// CXTPStatusBar

IMPLEMENT_DYNAMIC(CXTPStatusBar, CControlBar)

BEGIN_MESSAGE_MAP(CXTPStatusBar, CControlBar)
    ON_WM_CREATE()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_NCHITTEST()
    ON_WM_NCPAINT()
    ON_WM_NCCALCSIZE()
    ON_WM_WINDOWPOSCHANGING()
    ON_WM_WINDOWPOSCHANGED()
    ON_WM_SIZE()
    ON_WM_DESTROY()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
    ON_MESSAGE(WM_SETTEXT, OnSetText)
    ON_MESSAGE(WM_GETTEXT, OnGetText)
    ON_MESSAGE(WM_GETTEXTLENGTH, OnGetTextLength)
    ON_MESSAGE(SB_SETMINHEIGHT, OnSetMinHeight)
    ON_MESSAGE(WM_XTP_FRAMEDRAWSTATUSBAR, OnFrameDrawStatusBar)
END_MESSAGE_MAP()

CXTPStatusBar::CXTPStatusBar()
    : m_nMinHeight(0), m_bShowSizeGripper(TRUE), m_pCommandBars(NULL), m_bDrawWithPaintManager(TRUE),
      m_pToolTipContext(NULL), m_hControlFont(NULL), m_bDrawDisabledText(FALSE)
{
    LOGFONT lf;
    GetStatusLogFont(lf);
    m_fontStatus.CreateFontIndirect(&lf);
    m_pToolTipContext = new CXTPToolTipContext();
    m_cxLeftBorder = 0;
    m_cyTopBorder = 2;
    m_cxRightBorder = 0;
    m_cyBottomBorder = 0;
}

CXTPStatusBar::~CXTPStatusBar()
{
    RemoveAll();
    if (m_pToolTipContext != NULL)
        m_pToolTipContext->InternalRelease();
    m_pToolTipContext = NULL;
    DestroyWindow();
}

BOOL CXTPStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    return CreateEx(pParentWnd, 0, dwStyle, nID);
}

BOOL CXTPStatusBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, UINT nID)
{
    if (pParentWnd == NULL || pParentWnd->GetSafeHwnd() == NULL)
        return FALSE;

    m_dwStyle = dwStyle & CBRS_ALL;
    DWORD dwWndStyle = (dwStyle & ~0x40FFB1) | dwCtrlStyle | CCS_NODIVIDER | CCS_NOPARENTALIGN | CCS_NORESIZE |
                       CCS_NOMOVEY;
    if (pParentWnd->GetStyle() & WS_THICKFRAME)
        dwWndStyle |= SBARS_SIZEGRIP;

    INITCOMMONCONTROLSEX icc = {sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&icc);
    CRect rect(0, 0, 0, 0);
    return CWnd::Create(STATUSCLASSNAME, NULL, dwWndStyle, rect, pParentWnd, nID);
}

BOOL CXTPStatusBar::PreCreateWindow(CREATESTRUCT& cs)
{
    // A bar at the bottom with a top border draws that border itself.
    if ((m_dwStyle & 0xFF00) == (CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP))
        m_dwStyle &= ~0xF80;
    return CControlBar::PreCreateWindow(cs);
}

int CXTPStatusBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CControlBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    // The control keeps a font of its own, a copy of the bar's.
    LOGFONT lf;
    if (m_fontStatus.GetLogFont(&lf))
    {
        m_hControlFont = ::CreateFontIndirectA(&lf);
        ::SendMessage(m_hWnd, WM_SETFONT, (WPARAM)m_hControlFont, FALSE);
    }
    SendMessage(SB_SETMINHEIGHT, 20);
    return 0;
}

void CXTPStatusBar::OnDestroy()
{
    // The panes' windows go with the bar.
    for (INT_PTR i = 0; i < m_arrPanes.GetSize(); i++)
    {
        CXTPStatusBarPane* pPane = m_arrPanes[i];
        if (pPane->m_hWndPane != NULL && ::IsWindow(pPane->m_hWndPane))
        {
            CWnd* pWnd = CWnd::FromHandlePermanent(pPane->m_hWndPane);
            ::DestroyWindow(pPane->m_hWndPane);
            if (pPane->m_bAutoDeleteWnd && pWnd != NULL)
                delete pWnd;
        }
        pPane->m_hWndPane = NULL;
    }
    CControlBar::OnDestroy();
    if (m_hControlFont != NULL)
    {
        ::DeleteObject(m_hControlFont);
        m_hControlFont = NULL;
    }
}

BOOL CXTPStatusBar::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (m_pToolTipContext != NULL)
        m_pToolTipContext->FilterToolTipMessage(this, message, wParam, lParam);
    return CControlBar::OnWndMsg(message, wParam, lParam, pResult);
}

BOOL CXTPStatusBar::PreTranslateMessage(MSG* pMsg)
{
    // The bar's own messages pass the filter in OnWndMsg.
    if (m_pToolTipContext != NULL && pMsg != NULL && pMsg->hwnd != m_hWnd && m_hWnd != NULL &&
        ::IsChild(m_hWnd, pMsg->hwnd))
        m_pToolTipContext->FilterToolTipMessage(this, pMsg);
    return CControlBar::PreTranslateMessage(pMsg);
}

//////////////////////////////////////////////////////////////////////////
// Panes

void CXTPStatusBar::RemoveAll()
{
    for (INT_PTR i = 0; i < m_arrPanes.GetSize(); i++)
    {
        m_arrPanes[i]->m_pStatusBar = NULL;
        m_arrPanes[i]->InternalRelease();
    }
    m_arrPanes.RemoveAll();
}

CXTPStatusBarPane* CXTPStatusBar::GetPane(int nIndex) const
{
    return nIndex >= 0 && nIndex < m_arrPanes.GetSize() ? m_arrPanes[nIndex] : NULL;
}

int CXTPStatusBar::CommandToIndex(UINT nIDFind) const
{
    for (INT_PTR i = 0; i < m_arrPanes.GetSize(); i++)
    {
        if (m_arrPanes[i]->m_nID == nIDFind)
            return (int)i;
    }
    return -1;
}

int CXTPStatusBar::GetVisiblePaneCount() const
{
    int nCount = 0;
    for (INT_PTR i = 0; i < m_arrPanes.GetSize(); i++)
    {
        if (m_arrPanes[i]->m_bVisible)
            nCount++;
    }
    return nCount;
}

int CXTPStatusBar::CalcPaneWidth(CXTPStatusBarPane* pPane) const
{
    int cx = 0;
    HWND hWnd = m_hWnd != NULL ? m_hWnd : NULL;
    HDC hDC = ::GetDC(hWnd);
    if (hDC != NULL)
    {
        CFont* pFont = pPane->GetTextFont();
        HGDIOBJ hOld = pFont != NULL ? ::SelectObject(hDC, pFont->GetSafeHandle()) : NULL;
        SIZE size = {0, 0};
        if (!pPane->m_strText.IsEmpty())
            ::GetTextExtentPoint32A(hDC, pPane->m_strText, pPane->m_strText.GetLength(), &size);
        if (hOld != NULL)
            ::SelectObject(hDC, hOld);
        ::ReleaseDC(hWnd, hDC);
        cx = size.cx;
    }
    cx += pPane->m_rcPadding.left + pPane->m_rcPadding.right;
    CXTPImageManagerIcon* pImage = pPane->GetImage();
    if (pImage != NULL)
        cx += pImage->GetWidth() + (cx > 0 ? 2 : 0);
    return cx;
}

BOOL CXTPStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount)
{
    RemoveAll();
    if (nIDCount < 0 || (nIDCount > 0 && lpIDArray == NULL))
        return FALSE;

    BOOL bResult = TRUE;
    for (int i = 0; i < nIDCount; i++)
    {
        CXTPStatusBarPane* pPane = new CXTPStatusBarPane();
        m_arrPanes.Add(pPane);
        pPane->m_pStatusBar = this;
        pPane->m_nFlags |= CXTPStatusBarPane::xtpTextPending;
        pPane->m_nID = lpIDArray[i];

        if (pPane->m_nID != 0)
        {
            if (!pPane->m_strText.LoadString(pPane->m_nID))
            {
                // Without its text an indicator has no width and no meaning.
                bResult = FALSE;
                break;
            }
            pPane->m_cxText = CalcPaneWidth(pPane);
        }
        else
        {
            pPane->m_cxText = ::GetSystemMetrics(SM_CXSCREEN) / 4;
            if (i == 0)
                pPane->m_nStyle |= XTP_SBPS_STRETCH | XTP_SBPS_NOBORDERS;
        }
    }
    UpdateAllPanes(TRUE, TRUE);
    return bResult;
}

CXTPStatusBarPane* CXTPStatusBar::AddIndicator(UINT nID, int nIndex)
{
    if (nID != 0 && CommandToIndex(nID) != -1)
        return NULL;
    CXTPStatusBarPane* pPane = new CXTPStatusBarPane();
    pPane->m_pStatusBar = this;
    pPane->m_nFlags |= CXTPStatusBarPane::xtpTextPending;
    pPane->m_nID = nID;
    if (nID != 0)
        pPane->m_strText.LoadString(nID);
    pPane->m_cxText = CalcPaneWidth(pPane);
    if (nIndex < 0 || nIndex > m_arrPanes.GetSize())
        nIndex = (int)m_arrPanes.GetSize();
    m_arrPanes.InsertAt(nIndex, pPane);
    UpdateAllPanes(TRUE, TRUE);
    return pPane;
}

BOOL CXTPStatusBar::RemoveIndicator(UINT nID)
{
    int nIndex = CommandToIndex(nID);
    if (nIndex == -1)
        return FALSE;
    CXTPStatusBarPane* pPane = m_arrPanes[nIndex];
    m_arrPanes.RemoveAt(nIndex);
    pPane->m_pStatusBar = NULL;
    pPane->InternalRelease();
    UpdateAllPanes(TRUE, TRUE);
    return TRUE;
}

void CXTPStatusBar::UpdateAllPanes(BOOL bUpdateRects, BOOL bUpdateText)
{
    if (m_hWnd == NULL)
        return;

    if (bUpdateRects)
    {
        CRect rect;
        GetClientRect(&rect);
        CalcInsideRect(rect, TRUE);
        int borders[3] = {0, 0, 0};
        ::SendMessage(m_hWnd, SB_GETBORDERS, 0, (LPARAM)borders);

        int nRoom = rect.Width() + borders[2];
        int nStretch = 0;
        int nVisible = 0;
        for (INT_PTR i = 0; i < m_arrPanes.GetSize(); i++)
        {
            CXTPStatusBarPane* pPane = m_arrPanes[i];
            pPane->m_nIndex = (int)i;
            if (!pPane->m_bVisible)
            {
                pPane->m_nVisibleIndex = -1;
                continue;
            }
            pPane->m_nVisibleIndex = nVisible++;
            nRoom -= 6 + pPane->m_cxText + borders[2];
            if (pPane->m_nStyle & XTP_SBPS_STRETCH)
                nStretch++;
        }

        CArray<int, int> arrRights;
        arrRights.SetSize(nVisible > 0 ? nVisible : 1);
        int x = borders[0];
        for (INT_PTR i = 0; i < m_arrPanes.GetSize(); i++)
        {
            CXTPStatusBarPane* pPane = m_arrPanes[i];
            if (!pPane->m_bVisible)
                continue;
            int nRight = x + 6 + pPane->m_cxText;
            if ((pPane->m_nStyle & XTP_SBPS_STRETCH) && nRoom > 0 && nStretch > 0)
            {
                int nShare = nRoom / nStretch;
                nRight += nShare;
                nRoom -= nShare;
                nStretch--;
            }
            arrRights[pPane->m_nVisibleIndex] = nRight;
            x = nRight + borders[2];
        }
        ::SendMessage(m_hWnd, SB_SETPARTS, (WPARAM)nVisible, (LPARAM)arrRights.GetData());

        for (INT_PTR i = 0; i < m_arrPanes.GetSize(); i++)
        {
            CXTPStatusBarPane* pPane = m_arrPanes[i];
            if (pPane->m_hWndPane == NULL || !::IsWindow(pPane->m_hWndPane))
                continue;
            CRect rcPane;
            GetItemRect((int)i, &rcPane);
            if (!(pPane->m_nStyle & XTP_SBPS_NOBORDERS))
                rcPane.DeflateRect(::GetSystemMetrics(SM_CXEDGE), ::GetSystemMetrics(SM_CXEDGE));
            ::SetWindowPos(pPane->m_hWndPane, NULL, rcPane.left, rcPane.top, rcPane.Width(), rcPane.Height(),
                           SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }

    if (bUpdateText)
    {
        for (INT_PTR i = 0; i < m_arrPanes.GetSize(); i++)
        {
            CXTPStatusBarPane* pPane = m_arrPanes[i];
            if (pPane->m_bVisible && (pPane->m_nFlags & CXTPStatusBarPane::xtpTextPending))
                SetPaneText((int)i, pPane->m_strText, TRUE);
        }
    }
}

CString CXTPStatusBar::GetPaneText(int nIndex) const
{
    CXTPStatusBarPane* pPane = GetPane(nIndex);
    return pPane != NULL ? pPane->m_strText : CString();
}

BOOL CXTPStatusBar::SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate)
{
    CXTPStatusBarPane* pPane = GetPane(nIndex);
    if (pPane == NULL)
        return FALSE;
    if (lpszNewText == NULL)
        lpszNewText = "";

    // The same text again costs nothing: the control is not told twice.
    if (pPane->m_strText == lpszNewText && (pPane->m_nFlags & CXTPStatusBarPane::xtpTextPending) == 0)
        return TRUE;
    pPane->m_strText = lpszNewText;
    if (!pPane->m_bVisible)
        return FALSE;
    if (!bUpdate)
    {
        pPane->m_nFlags |= CXTPStatusBarPane::xtpTextPending;
        return TRUE;
    }
    pPane->m_nFlags &= ~CXTPStatusBarPane::xtpTextPending;
    if (m_hWnd != NULL && pPane->m_nVisibleIndex >= 0)
    {
        LPCTSTR lpszShown = (pPane->m_nStyle & XTP_SBPS_DISABLED) ? "" : (LPCTSTR)pPane->m_strText;
        ::SendMessage(m_hWnd, SB_SETTEXT, (WPARAM)((UINT)pPane->m_nVisibleIndex | (pPane->m_nStyle & kControlTypeMask)),
                      (LPARAM)lpszShown);
        ::InvalidateRect(m_hWnd, NULL, FALSE);
    }
    return TRUE;
}

UINT CXTPStatusBar::GetPaneStyle(int nIndex) const
{
    CXTPStatusBarPane* pPane = GetPane(nIndex);
    return pPane != NULL ? pPane->m_nStyle : 0;
}

void CXTPStatusBar::SetPaneStyle(int nIndex, UINT nStyle)
{
    CXTPStatusBarPane* pPane = GetPane(nIndex);
    if (pPane == NULL || pPane->m_nStyle == nStyle)
        return;
    if ((pPane->m_nStyle ^ nStyle) & XTP_SBPS_STRETCH)
    {
        pPane->m_nStyle = (pPane->m_nStyle & ~XTP_SBPS_STRETCH) | (nStyle & XTP_SBPS_STRETCH);
        UpdateAllPanes(TRUE, FALSE);
    }
    pPane->m_nFlags |= CXTPStatusBarPane::xtpTextPending;
    pPane->m_nStyle = nStyle;
    SetPaneText(nIndex, pPane->m_strText, TRUE);
}

void CXTPStatusBar::SetPaneWidth(int nIndex, int cxText)
{
    CXTPStatusBarPane* pPane = GetPane(nIndex);
    if (pPane == NULL || pPane->m_cxText == cxText)
        return;
    pPane->m_cxText = cxText < 0 ? 0 : cxText;
    UpdateAllPanes(TRUE, TRUE);
}

void CXTPStatusBar::GetItemRect(int nIndex, LPRECT lpRect) const
{
    if (lpRect == NULL)
        return;
    ::SetRectEmpty(lpRect);
    CXTPStatusBarPane* pPane = GetPane(nIndex);
    if (pPane == NULL || m_hWnd == NULL || pPane->m_nVisibleIndex < 0)
        return;
    if (!::SendMessage(m_hWnd, SB_GETRECT, (WPARAM)pPane->m_nVisibleIndex, (LPARAM)lpRect))
    {
        ::SetRectEmpty(lpRect);
        return;
    }
    if (pPane->m_nVisibleIndex != GetVisiblePaneCount() - 1)
        return;

    // The control stretches its last part to the edge; the bar's last pane
    // ends where its width says, unless it stretches.
    if (pPane->m_nStyle & XTP_SBPS_STRETCH)
    {
        CRect rcClient;
        ::GetClientRect(m_hWnd, &rcClient);
        lpRect->right = rcClient.right;
        if (GetStyle() & SBARS_SIZEGRIP)
            lpRect->right -= ::GetSystemMetrics(SM_CXSMICON) + ::GetSystemMetrics(SM_CXEDGE);
    }
    else
    {
        lpRect->right = lpRect->left + pPane->m_cxText + 3 * ::GetSystemMetrics(SM_CXEDGE);
    }
}

//////////////////////////////////////////////////////////////////////////
// Layout

void CXTPStatusBar::CalcInsideRect(CRect& rect, BOOL bHorz) const
{
    CControlBar::CalcInsideRect(rect, bHorz);
    if ((GetStyle() & SBARS_SIZEGRIP) && !ParentIsMaximized())
    {
        int borders[3] = {0, 0, 0};
        if (m_hWnd != NULL)
            ::SendMessage(m_hWnd, SB_GETBORDERS, 0, (LPARAM)borders);
        rect.right -= 2 * ::GetSystemMetrics(SM_CXBORDER) + borders[0] + ::GetSystemMetrics(SM_CXVSCROLL);
    }
}

BOOL CXTPStatusBar::ParentIsMaximized() const
{
    HWND hParent = m_hWnd != NULL ? ::GetParent(m_hWnd) : NULL;
    return hParent != NULL && ::IsZoomed(hParent);
}

CSize CXTPStatusBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    int borders[3] = {0, 0, 0};
    if (m_hWnd != NULL)
        ::SendMessage(m_hWnd, SB_GETBORDERS, 0, (LPARAM)borders);

    TEXTMETRIC tm = {};
    HDC hDC = ::GetDC(m_hWnd);
    if (hDC != NULL)
    {
        HGDIOBJ hOld = ::SelectObject(hDC, m_fontStatus.GetSafeHandle());
        ::GetTextMetricsA(hDC, &tm);
        ::SelectObject(hDC, hOld);
        ::ReleaseDC(m_hWnd, hDC);
    }

    CRect rectInside(0, 0, 0, 0);
    CalcInsideRect(rectInside, TRUE);

    // The bar spans whatever width the frame gives it.
    CSize size(32767, 0);
    (void)bStretch;
    size.cy = 2 * (::GetSystemMetrics(SM_CYBORDER) + borders[1]) - rectInside.Height() - tm.tmInternalLeading +
              tm.tmHeight - 1;
    if (size.cy < m_nMinHeight)
        size.cy = m_nMinHeight;
    (void)bHorz;
    return size;
}

void CXTPStatusBar::OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle)
{
    if (m_hWnd != NULL && ((dwOldStyle ^ dwNewStyle) & CBRS_BORDER_ANY))
        SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_FRAMECHANGED | SWP_NOACTIVATE);
}

//////////////////////////////////////////////////////////////////////////
// Command UI and tooltips

void CXTPStatusBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    CStatusCmdUI state;
    state.m_pOther = this;
    state.m_nIndexMax = (UINT)m_arrPanes.GetSize();
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; state.m_nIndex++)
    {
        state.m_nID = m_arrPanes[(INT_PTR)state.m_nIndex]->m_nID;
        // The bar's own handlers first, then the target's, never disabling.
        if (CWnd::OnCmdMsg(state.m_nID, (int)CN_UPDATE_COMMAND_UI, &state, NULL))
            continue;
        state.DoUpdate(pTarget, FALSE);
    }
    UpdateDialogControls(pTarget, bDisableIfNoHndler);
}

INT_PTR CXTPStatusBar::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    INT_PTR nHit = CWnd::OnToolHitTest(point, pTI);
    if (nHit != -1)
        return nHit;
    for (INT_PTR i = 0; i < m_arrPanes.GetSize(); i++)
    {
        CXTPStatusBarPane* pPane = m_arrPanes[i];
        if (!pPane->m_bVisible)
            continue;
        CRect rcPane;
        GetItemRect((int)i, &rcPane);
        if (!rcPane.PtInRect(point))
            continue;
        if (pPane->m_strToolTip.IsEmpty())
            return -1;
        CXTPToolTipContext::FillInToolInfo(pTI, m_hWnd, rcPane, pPane->m_nID, pPane->m_strToolTip);
        return pPane->m_nID;
    }
    return -1;
}

//////////////////////////////////////////////////////////////////////////
// Painting

CXTPPaintManager* CXTPStatusBar::GetPaintManager() const
{
    if (!m_bDrawWithPaintManager)
        return NULL;
    if (m_pCommandBars != NULL)
        return m_pCommandBars->GetPaintManager();
    return CXTPPaintManager::GetGlobalPaintManager();
}

void CXTPStatusBar::SetDrawWithPaintManager(BOOL bDraw)
{
    m_bDrawWithPaintManager = bDraw;
    if (m_hWnd != NULL)
        Invalidate(FALSE);
}

void CXTPStatusBar::DrawPaneEntry(CDC* pDC, int nIndex, CRect rcItem)
{
    CXTPStatusBarPane* pPane = GetPane(nIndex);
    if (pPane != NULL)
        pPane->Draw(pDC, rcItem);
}

void CXTPStatusBar::DrawStretchGripper(CDC* pDC, CRect rcClient)
{
    CXTPPaintManager* pPaintManager = GetPaintManager();
    if (pPaintManager != NULL)
        pPaintManager->DrawStatusBarGripper(pDC, rcClient);
}

void CXTPStatusBar::OnPaint()
{
    UpdateAllPanes(FALSE, TRUE);

    CXTPPaintManager* pPaintManager = GetPaintManager();
    if (pPaintManager == NULL)
    {
        Default();
        return;
    }

    CPaintDC paintDC(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    CXTPBufferDC dc(paintDC, rcClient);
    DrawBar(&dc, pPaintManager);
}

LRESULT CXTPStatusBar::OnPrintClient(WPARAM wParam, LPARAM lParam)
{
    CXTPPaintManager* pPaintManager = GetPaintManager();
    if (pPaintManager == NULL || wParam == 0)
        return Default();
    UpdateAllPanes(FALSE, TRUE);
    DrawBar(CDC::FromHandle((HDC)wParam), pPaintManager);
    (void)lParam;
    return 0;
}

void CXTPStatusBar::DrawBar(CDC* pDC, CXTPPaintManager* pPaintManager)
{
    CDC& dc = *pDC;
    CRect rcClient;
    GetClientRect(&rcClient);

    pPaintManager->FillStatusBar(&dc, this);
    int nLastVisible = GetVisiblePaneCount() - 1;
    for (INT_PTR i = 0; i < m_arrPanes.GetSize(); i++)
    {
        CXTPStatusBarPane* pPane = m_arrPanes[i];
        if (!pPane->m_bVisible)
            continue;
        CRect rcItem;
        GetItemRect((int)i, &rcItem);
        if (!(pPane->m_nStyle & XTP_SBPS_NOBORDERS))
            pPaintManager->DrawStatusBarPaneBorder(&dc, rcItem, pPane->m_nVisibleIndex == nLastVisible);
        DrawPaneEntry(&dc, (int)i, rcItem);
    }

    CWnd* pParent = GetParent();
    if (pParent != NULL && (pParent->GetStyle() & WS_THICKFRAME) && (GetStyle() & SBARS_SIZEGRIP) &&
        !ParentIsMaximized())
    {
        DrawStretchGripper(&dc, rcClient);
    }
}

BOOL CXTPStatusBar::OnEraseBkgnd(CDC* pDC)
{
    if (GetPaintManager() != NULL)
        return TRUE;
    return CControlBar::OnEraseBkgnd(pDC);
}

//////////////////////////////////////////////////////////////////////////
// Window details

LRESULT CXTPStatusBar::OnNcHitTest(CPoint point)
{
    LRESULT nHit = (LRESULT)Default();
    return nHit == HTBOTTOMRIGHT ? HTBOTTOMRIGHT : HTCLIENT;
}

void CXTPStatusBar::OnNcPaint()
{
    // The borders of the bar are erased to the face colour.
    CWindowDC dc(this);
    CRect rcWindow, rcClient;
    GetWindowRect(&rcWindow);
    GetClientRect(&rcClient);
    ClientToScreen(&rcClient);
    rcClient.OffsetRect(-rcWindow.left, -rcWindow.top);
    rcWindow.OffsetRect(-rcWindow.left, -rcWindow.top);
    dc.ExcludeClipRect(&rcClient);
    dc.FillSolidRect(&rcWindow, ::GetSysColor(COLOR_3DFACE));
}

void CXTPStatusBar::OnNcCalcSize(BOOL /*bCalcValidRects*/, NCCALCSIZE_PARAMS* lpncsp)
{
    // The control-bar borders, the top one 2 pixels less.
    CRect rect(0, 0, 0, 0);
    CControlBar::CalcInsideRect(rect, TRUE);
    rect.top -= 2;
    lpncsp->rgrc[0].left += rect.left;
    lpncsp->rgrc[0].top += rect.top;
    lpncsp->rgrc[0].right += rect.right;
    lpncsp->rgrc[0].bottom += rect.bottom;
}

void CXTPStatusBar::OnWindowPosChanging(WINDOWPOS* lpWndPos)
{
    // The control must not see the bar's borders while it moves.
    DWORD dwStyle = m_dwStyle;
    m_dwStyle &= ~CBRS_BORDER_ANY;
    CControlBar::OnWindowPosChanging(lpWndPos);
    m_dwStyle = dwStyle;
}

void CXTPStatusBar::OnWindowPosChanged(WINDOWPOS* lpWndPos)
{
    CControlBar::OnWindowPosChanged(lpWndPos);
    CXTPPaintManager* pPaintManager = GetPaintManager();
    if (pPaintManager != NULL && pPaintManager->BaseTheme() == 6 &&
        (lpWndPos->flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW)))
    {
        CWnd* pParent = GetParent();
        if (pParent != NULL)
            pParent->SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED);
    }
}

void CXTPStatusBar::OnSize(UINT nType, int cx, int cy)
{
    CControlBar::OnSize(nType, cx, cy);
    UpdateAllPanes(TRUE, FALSE);
    Invalidate(FALSE);
}

LRESULT CXTPStatusBar::OnSetText(WPARAM, LPARAM lParam)
{
    int nIndex = CommandToIndex(0);
    if (nIndex == -1)
        return FALSE;
    return SetPaneText(nIndex, (LPCTSTR)lParam, TRUE) ? TRUE : FALSE;
}

LRESULT CXTPStatusBar::OnGetText(WPARAM wParam, LPARAM lParam)
{
    int nMax = (int)wParam;
    LPTSTR lpszDest = (LPTSTR)lParam;
    if (nMax <= 0 || lpszDest == NULL)
        return 0;
    int nIndex = CommandToIndex(0);
    CString strText = nIndex != -1 ? GetPaneText(nIndex) : CString();
    int nCopy = strText.GetLength();
    if (nCopy > nMax - 1)
        nCopy = nMax - 1;
    if (nCopy > 0)
        memcpy(lpszDest, (LPCTSTR)strText, (size_t)nCopy * sizeof(TCHAR));
    lpszDest[nCopy] = '\0';
    return nCopy;
}

LRESULT CXTPStatusBar::OnGetTextLength(WPARAM, LPARAM)
{
    int nIndex = CommandToIndex(0);
    return nIndex != -1 ? GetPaneText(nIndex).GetLength() : 0;
}

LRESULT CXTPStatusBar::OnSetMinHeight(WPARAM wParam, LPARAM)
{
    LRESULT lResult = Default();
    m_nMinHeight = (int)wParam;
    return lResult;
}

LRESULT CXTPStatusBar::OnFrameDrawStatusBar(WPARAM, LPARAM)
{
    CXTPPaintManager* pPaintManager = GetPaintManager();
    return pPaintManager != NULL ? pPaintManager->m_bFrameStatusBar : FALSE;
}
