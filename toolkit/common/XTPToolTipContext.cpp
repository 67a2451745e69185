// Tooltip context and the toolkit's own tip windows.
#include "XTPToolTipContext.h"

#include "XTPColorManager.h"
#include "XTPDrawHelpers.h"
#include "XTPImageManager.h"
#include "XTPOffice2007Image.h"
#include "XTPRichRender.h"
#include "XTPSystemHelpers.h"

namespace
{
const UINT_PTR kShowTimer = 1;
// While a tip shows, it checks the cursor this often: the mouse can leave the
// program's windows altogether, and then no window of it hears of the move.
const UINT_PTR kLeaveTimer = 2;
const UINT kLeaveCheckMilliseconds = 100;
const UINT kToolInfoSize = 40;     // TOOLINFO without lParam
const UINT kToolInfoExSize = 44;   // with lParam (the extension block)
const LPCTSTR kTipClassName = _T("XTPToolTipContextToolTip");
const LPCTSTR kTipClassNameShadow = _T("XTPToolTipContextToolTipShadow");

LPTSTR DuplicateText(LPCTSTR lpszText)
{
    size_t nLength = lpszText ? strlen(lpszText) : 0;
    LPTSTR pCopy = static_cast<LPTSTR>(calloc(nLength + 1, sizeof(TCHAR)));
    if (pCopy != NULL && nLength > 0)
        memcpy(pCopy, lpszText, nLength);
    return pCopy;
}

BOOL IsRealText(LPCTSTR lpszText)
{
    return lpszText != NULL && lpszText != LPSTR_TEXTCALLBACK;
}

BOOL IsMouseButtonDown()
{
    return ::GetKeyState(VK_LBUTTON) < 0 || ::GetKeyState(VK_RBUTTON) < 0 || ::GetKeyState(VK_MBUTTON) < 0;
}

// The messages that may show, move or change a tip.
BOOL IsTipMessage(UINT message)
{
    return message == WM_MOUSEMOVE || message == WM_NCMOUSEMOVE || message == WM_LBUTTONUP ||
           message == WM_RBUTTONUP || message == WM_MBUTTONUP;
}

BOOL IsClientMouseMessage(UINT message)
{
    return message >= WM_MOUSEFIRST && message <= WM_MOUSELAST;
}

BOOL IsNonClientMouseMessage(UINT message)
{
    return message >= WM_NCMOUSEMOVE && message <= WM_NCMBUTTONDBLCLK;
}

// The window under a point, or its parent for a child window that asks
// tooltips to treat it as its parent.
HWND WindowFromPointForTips(POINT pt)
{
    HWND hWnd = ::WindowFromPoint(pt);
    if (hWnd != NULL && (::GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD) != 0 &&
        ::SendMessageA(hWnd, XTP_TTM_WINDOWFROMPOINT, 0, 0) == 1)
    {
        hWnd = ::GetParent(hWnd);
    }
    return hWnd;
}

// The top-level window above a window (a child's parents, a popup's owner).
HWND GetParentOwner(HWND hWnd)
{
    while (hWnd != NULL && (::GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD) != 0)
        hWnd = ::GetParent(hWnd);
    return hWnd;
}

// Strips mnemonic markers from a calloc'd text in place (it only shrinks).
void StripInPlace(LPTSTR lpszText)
{
    if (IsRealText(lpszText))
        CXTPDrawHelpers::StripMnemonics(lpszText);
}

// Passes a message on to the tip window with TTM_RELAYEVENT, addressed to the
// window under its point (client mouse messages get their point in its client
// coordinates).
void RelayEventToTip(HWND hWndTip, const MSG* pMsg)
{
    MSG msgRelay = *pMsg;
    msgRelay.hwnd = reinterpret_cast<HWND>(
        ::SendMessageA(hWndTip, TTM_WINDOWFROMPOINT, 0, reinterpret_cast<LPARAM>(&msgRelay.pt)));
    if (IsClientMouseMessage(pMsg->message) && msgRelay.hwnd != NULL)
    {
        POINT pt = pMsg->pt;
        ::ScreenToClient(msgRelay.hwnd, &pt);
        msgRelay.lParam = MAKELPARAM(pt.x, pt.y);
    }
    ::SendMessageA(hWndTip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msgRelay));
}
} // namespace

//////////////////////////////////////////////////////////////////////////
// XTP_TOOLTIP_TOOLITEM

XTP_TOOLTIP_TOOLITEM::XTP_TOOLTIP_TOOLITEM()
{
    Clear();
}

void XTP_TOOLTIP_TOOLITEM::Clear()
{
    strText.Empty();
    bTextCallback = FALSE;
    uFlags = 0;
    ::SetRectEmpty(&rect);
    hinst = NULL;
    hwnd = NULL;
    uId = (UINT_PTR)-1;
    ::SetRectEmpty(&rcExclude);
}

//////////////////////////////////////////////////////////////////////////
// CXTPToolTipContextToolTip

HHOOK CXTPToolTipContextToolTip::s_hHookMouse = NULL;
CXTPToolTipContextToolTip* CXTPToolTipContextToolTip::s_pWndHook = NULL;

CXTPToolTipContextToolTip::CXTPToolTipContextToolTip(CXTPToolTipContext* pContext)
    : m_bActive(FALSE)
    , m_pContext(pContext)
    , m_nTimerShow(0)
    , m_dwLastShow(0)
    , m_nInitialDelay(500)
    , m_nReshowDelay(200)
    , m_pIcon(NULL)
    , m_hWndNotify(NULL)
    , m_ptLast(0, 0)
    , m_bHaveLastPoint(FALSE)
{
}

CXTPToolTipContextToolTip::~CXTPToolTipContextToolTip()
{
    SetMouseHook(FALSE);
    for (INT_PTR i = 0; i < m_arrTools.GetSize(); i++)
        delete m_arrTools[i];
    m_arrTools.RemoveAll();
    if (m_pIcon != NULL)
        m_pIcon->InternalRelease();
    if (m_hWnd != NULL)
        DestroyWindow();
}

void CXTPToolTipContextToolTip::PostNcDestroy()
{
    // The context owns the object; only the window is gone.
    SetMouseHook(FALSE);
}

BOOL CXTPToolTipContextToolTip::Create(CWnd* pParentWnd, DWORD dwStyle)
{
    BOOL bShadow = (dwStyle & XTP_TTS_NOSHADOW) == 0 && XTPOSVersionInfo()->IsWinXPOrGreater();
    LPCTSTR lpszClass = bShadow ? kTipClassNameShadow : kTipClassName;
    UINT nClassStyle = CS_SAVEBITS | CS_OWNDC | (bShadow ? 0x20000 /* CS_DROPSHADOW */ : 0);

    if (!CXTPDrawHelpers::RegisterWndClass(NULL, lpszClass, nClassStyle))
        return FALSE;

    DWORD dwWindowStyle = WS_POPUP | (dwStyle & ~(WS_CHILD | XTP_TTS_NOSHADOW));
    if (!CreateEx(WS_EX_TOOLWINDOW, lpszClass, NULL, dwWindowStyle, 0, 0, 0, 0,
                  pParentWnd ? pParentWnd->GetSafeHwnd() : NULL, NULL))
    {
        return FALSE;
    }
    // A click on the tip is a click on what lies beneath it.
    CXTPDrawHelpers::MakeClickThrough(m_hWnd);
    m_hWndNotify = pParentWnd ? pParentWnd->GetSafeHwnd() : NULL;
    return TRUE;
}

LRESULT CXTPToolTipContextToolTip::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case TTM_ADDTOOLA:
    {
        const TOOLINFO* pTI = reinterpret_cast<const TOOLINFO*>(lParam);
        if (pTI == NULL || pTI->cbSize < kToolInfoSize)
            return FALSE;
        XTP_TOOLTIP_TOOLITEM* pTool = new XTP_TOOLTIP_TOOLITEM();
        pTool->uFlags = pTI->uFlags;
        pTool->rect = pTI->rect;
        pTool->hinst = pTI->hinst;
        pTool->hwnd = pTI->hwnd;
        pTool->uId = pTI->uId;
        if (pTI->lpszText == LPSTR_TEXTCALLBACK)
            pTool->bTextCallback = TRUE;
        else if (pTI->lpszText != NULL)
            pTool->strText = pTI->lpszText;
        if (pTI->cbSize >= kToolInfoExSize && pTI->lParam != 0)
            pTool->rcExclude = reinterpret_cast<const XTP_TOOLTIP_TOOLINFO_EX*>(pTI->lParam)->rcExclude;
        m_arrTools.Add(pTool);
        return TRUE;
    }

    case TTM_DELTOOLA:
    {
        const TOOLINFO* pTI = reinterpret_cast<const TOOLINFO*>(lParam);
        if (pTI == NULL)
            return 0;
        for (INT_PTR i = m_arrTools.GetSize() - 1; i >= 0; i--)
        {
            XTP_TOOLTIP_TOOLITEM* pTool = m_arrTools[i];
            if (pTool->hwnd != pTI->hwnd || pTool->uId != pTI->uId)
                continue;
            if (m_toolShown.IsSameTool(*pTool))
                ShowTool(NULL);
            if (m_toolClicked.IsSameTool(*pTool))
                m_toolClicked.Clear();
            if (m_toolPending.IsSameTool(*pTool))
                m_toolPending.Clear();
            m_arrTools.RemoveAt(i);
            delete pTool;
        }
        return 0;
    }

    case TTM_ACTIVATE:
        m_bActive = (BOOL)wParam;
        if (!m_bActive)
        {
            if (m_nTimerShow != 0)
            {
                KillTimer(m_nTimerShow);
                m_nTimerShow = 0;
            }
            m_toolPending.Clear();
            if (IsWindowVisible())
                ShowTool(NULL);
        }
        return 0;

    case TTM_RELAYEVENT:
        if (lParam != 0)
            OnRelayEvent(reinterpret_cast<const MSG*>(lParam));
        return 0;

    case TTM_SETTITLEA:
        m_strTitle = lParam != 0 ? reinterpret_cast<LPCTSTR>(lParam) : _T("");
        return TRUE;

    case TTM_UPDATETIPTEXTA:
    {
        const TOOLINFO* pTI = reinterpret_cast<const TOOLINFO*>(lParam);
        if (pTI == NULL)
            return 0;
        for (INT_PTR i = 0; i < m_arrTools.GetSize(); i++)
        {
            XTP_TOOLTIP_TOOLITEM* pTool = m_arrTools[i];
            if (pTool->hwnd != pTI->hwnd || pTool->uId != pTI->uId)
                continue;
            pTool->bTextCallback = pTI->lpszText == LPSTR_TEXTCALLBACK;
            pTool->strText = IsRealText(pTI->lpszText) ? pTI->lpszText : _T("");
        }
        return 0;
    }

    case TTM_SETDELAYTIME:
        if (wParam == TTDT_INITIAL)
            m_nInitialDelay = (int)(short)LOWORD(lParam);
        else if (wParam == TTDT_RESHOW)
            m_nReshowDelay = (int)(short)LOWORD(lParam);
        return 0;

    case TTM_WINDOWFROMPOINT:
        return lParam != 0 ? reinterpret_cast<LRESULT>(WindowFromPoint(*reinterpret_cast<const POINT*>(lParam)))
                           : 0;

    case XTP_TTM_SETIMAGE:
    {
        CXTPImageManagerIcon* pIcon = reinterpret_cast<CXTPImageManagerIcon*>(lParam);
        if (pIcon != NULL)
            pIcon->InternalAddRef();
        if (m_pIcon != NULL)
            m_pIcon->InternalRelease();
        m_pIcon = pIcon;
        return 0;
    }

    case WM_PAINT:
        OnPaint();
        return 0;

    case WM_ERASEBKGND:
        return TRUE;

    case WM_NCHITTEST:
        return HTTRANSPARENT;

    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;

    case WM_MOUSEMOVE:
        ShowTool(NULL);
        return 0;

    case WM_TIMER:
        if (wParam == kShowTimer)
        {
            OnShowTimer();
            return 0;
        }
        if (wParam == kLeaveTimer)
        {
            OnLeaveTimer();
            return 0;
        }
        break;

    case WM_DESTROY:
        SetMouseHook(FALSE);
        break;

    default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

HWND CXTPToolTipContextToolTip::WindowFromPoint(POINT pt)
{
    return WindowFromPointForTips(pt);
}

int CXTPToolTipContextToolTip::HitTestTool(const MSG* pMsg)
{
    if (IsMouseButtonDown())
        return -1;

    POINT pt = pMsg->pt;
    HWND hWndPoint = WindowFromPoint(pt);
    for (INT_PTR i = 0; i < m_arrTools.GetSize(); i++)
    {
        XTP_TOOLTIP_TOOLITEM* pTool = m_arrTools[i];
        if (!::IsWindow(pTool->hwnd))
            continue;
        RECT rc;
        if (pTool->uFlags & TTF_IDISHWND)
        {
            if (!::IsWindow((HWND)pTool->uId))
                continue;
            ::GetWindowRect((HWND)pTool->uId, &rc);
        }
        else
        {
            rc = pTool->rect;
            ::MapWindowPoints(pTool->hwnd, NULL, reinterpret_cast<POINT*>(&rc), 2);
        }
        if (!::PtInRect(&rc, pt))
            continue;
        if ((pTool->uFlags & TTF_IDISHWND) == 0 && pTool->hwnd != hWndPoint)
            continue;
        return (int)i;
    }
    return -1;
}

void CXTPToolTipContextToolTip::OnRelayEvent(const MSG* pMsg)
{
    if (!m_bActive)
        return;
    UINT message = pMsg->message;
    if (!IsClientMouseMessage(message) && !IsNonClientMouseMessage(message))
        return;

    m_ptLast = pMsg->pt;
    m_bHaveLastPoint = TRUE;

    int nHit = HitTestTool(pMsg);
    XTP_TOOLTIP_TOOLITEM* pHit = nHit >= 0 ? m_arrTools[nHit] : NULL;

    if (pHit != NULL && message == WM_LBUTTONDOWN)
    {
        m_toolClicked = *pHit;
        pHit = NULL;
    }
    else if (pHit != NULL && m_toolClicked.IsSameTool(*pHit))
    {
        pHit = NULL;
    }
    else
    {
        // The mouse left the clicked tool: its tip may show again later.
        m_toolClicked.Clear();
    }

    if (m_nTimerShow != 0 && (pHit == NULL || !m_toolPending.IsSameTool(*pHit)))
    {
        KillTimer(m_nTimerShow);
        m_nTimerShow = 0;
        m_toolPending.Clear();
    }

    if (pHit == NULL)
    {
        ShowTool(NULL);
        return;
    }
    if (m_toolShown.IsSameTool(*pHit))
        return;

    if (::GetTickCount() - m_dwLastShow >= (DWORD)m_nReshowDelay)
    {
        if (!m_toolPending.IsSameTool(*pHit) || m_nTimerShow == 0)
        {
            m_toolPending = *pHit;
            m_nTimerShow = SetTimer(kShowTimer, m_nInitialDelay, NULL);
        }
    }
    else
    {
        ShowTool(pHit);
    }
}

void CXTPToolTipContextToolTip::OnShowTimer()
{
    if (m_nTimerShow != 0)
    {
        KillTimer(m_nTimerShow);
        m_nTimerShow = 0;
    }
    if (m_toolPending.IsEmpty())
        return;

    // The pending tool shows when the mouse is still over it.
    MSG msg;
    ZeroMemory(&msg, sizeof(msg));
    msg.message = WM_MOUSEMOVE;
    if (m_bHaveLastPoint)
        msg.pt = m_ptLast;
    else
        ::GetCursorPos(&msg.pt);
    int nHit = HitTestTool(&msg);
    XTP_TOOLTIP_TOOLITEM pending = m_toolPending;
    m_toolPending.Clear();
    if (nHit >= 0 && m_arrTools[nHit]->IsSameTool(pending))
        ShowTool(m_arrTools[nHit]);
}

void CXTPToolTipContextToolTip::OnLeaveTimer()
{
    if (m_toolShown.IsEmpty())
    {
        if (m_hWnd != NULL)
            KillTimer(kLeaveTimer);
        return;
    }
    MSG msg;
    ZeroMemory(&msg, sizeof(msg));
    msg.message = WM_MOUSEMOVE;
    ::GetCursorPos(&msg.pt);
    int nHit = HitTestTool(&msg);
    if (nHit < 0 || !m_arrTools[nHit]->IsSameTool(m_toolShown))
        ShowTool(NULL);
}

BOOL CXTPToolTipContextToolTip::IsToolWindowRTL(const XTP_TOOLTIP_TOOLITEM* pTool) const
{
    return pTool != NULL && ::IsWindow(pTool->hwnd) &&
           (::GetWindowLongA(pTool->hwnd, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0;
}

int AFX_CDECL CXTPToolTipContextToolTip::GetCursorHeight(HCURSOR hCursor)
{
    const int nDefault = 21;
    ICONINFO ii;
    if (hCursor == NULL || !::GetIconInfo(hCursor, &ii))
        return nDefault;

    int nResult = nDefault;
    BITMAP bm;
    if (ii.hbmMask != NULL && ::GetObjectA(ii.hbmMask, sizeof(bm), &bm) && bm.bmWidth > 0 && bm.bmHeight > 0)
    {
        // A monochrome cursor's mask holds the AND rows, then the XOR rows.
        int nRows = bm.bmHeight;
        int nImageHeight = ii.hbmColor ? nRows : nRows / 2;
        int nStride = ((bm.bmWidth + 31) / 32) * 4;
        struct
        {
            BITMAPINFOHEADER bmiHeader;
            RGBQUAD bmiColors[2];
        } bmi;
        ZeroMemory(&bmi, sizeof(bmi));
        bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bmi.bmiHeader.biWidth = bm.bmWidth;
        bmi.bmiHeader.biHeight = -nRows;   // top-down
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 1;
        BYTE* pBits = static_cast<BYTE*>(calloc((size_t)nStride * nRows, 1));
        HDC hDC = ::GetDC(NULL);
        if (pBits != NULL && hDC != NULL && nImageHeight > 0 &&
            ::GetDIBits(hDC, ii.hbmMask, 0, nRows, pBits, reinterpret_cast<BITMAPINFO*>(&bmi), DIB_RGB_COLORS) ==
                nRows)
        {
            int nLowest = -1;
            for (int y = nRows - 1; y >= 0 && nLowest < 0; y--)
            {
                BOOL bXorRow = y >= nImageHeight;
                const BYTE* pRow = pBits + (size_t)y * nStride;
                for (int x = 0; x < bm.bmWidth; x++)
                {
                    BOOL bBit = (pRow[x / 8] >> (7 - x % 8)) & 1;
                    if (bXorRow ? bBit : !bBit)
                    {
                        nLowest = y % nImageHeight;
                        break;
                    }
                }
            }
            if (nLowest >= 0)
                nResult = nLowest + 1 - (int)ii.yHotspot;
        }
        if (hDC != NULL)
            ::ReleaseDC(NULL, hDC);
        free(pBits);
    }
    if (ii.hbmMask)
        ::DeleteObject(ii.hbmMask);
    if (ii.hbmColor)
        ::DeleteObject(ii.hbmColor);
    return nResult > 0 ? nResult : nDefault;
}

void CXTPToolTipContextToolTip::ShowTool(const XTP_TOOLTIP_TOOLITEM* pTool)
{
    if (pTool != NULL && m_toolShown.IsSameTool(*pTool))
        return;
    if (pTool == NULL && m_toolShown.IsEmpty())
        return;
    if (m_hWnd == NULL)
        return;

    XTP_TOOLTIP_TOOLITEM tool;
    CSize sz(0, 0);
    if (pTool != NULL)
    {
        tool = *pTool;
        if (tool.bTextCallback)
        {
            CString strText = GetToolText(tool);
            // Keep the answer in the stored tool as well.
            for (INT_PTR i = 0; i < m_arrTools.GetSize(); i++)
            {
                if (m_arrTools[i]->IsSameTool(tool))
                {
                    m_arrTools[i]->strText = strText;
                    m_arrTools[i]->bTextCallback = FALSE;
                }
            }
        }
        sz = GetToolTipSize(&tool);
    }

    // Hidden without touching activation: the tip never takes it.
    ::SetWindowPos(m_hWnd, NULL, 0, 0, 0, 0,
                   SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

    if (pTool == NULL || sz.cx == 0 || sz.cy == 0)
    {
        KillTimer(kLeaveTimer);
        SetMouseHook(FALSE);
        m_toolPending.Clear();
        m_toolShown.Clear();
        m_dwLastShow = ::GetTickCount();
        return;
    }

    CPoint ptCursor = m_ptLast;
    if (!m_bHaveLastPoint)
        ::GetCursorPos(&ptCursor);

    CPoint ptTip;
    if (::IsRectEmpty(&tool.rcExclude))
    {
        ptTip = CPoint(ptCursor.x, ptCursor.y + GetCursorHeight(::GetCursor()));
        if (IsToolWindowRTL(&tool))
            ptTip.x -= sz.cx;
    }
    else
    {
        ptTip = CPoint(tool.rect.left, tool.rcExclude.bottom);
        ::ClientToScreen(tool.hwnd, &ptTip);
    }

    CRect rcWork = XTPMonitorFunctions()->GetWorkAreaFromPoint(ptCursor);
    if (ptTip.x + sz.cx > rcWork.right - 4)
        ptTip.x = rcWork.right - 4 - sz.cx;
    if (ptTip.y + sz.cy > rcWork.bottom - 4)
        ptTip.y = ptCursor.y - sz.cy - 3;
    if (ptTip.x < rcWork.left)
        ptTip.x = rcWork.left;

    m_toolShown = tool;
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, ptTip.x, ptTip.y, sz.cx, sz.cy, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    Invalidate();
    UpdateWindow();
    SetMouseHook(TRUE);
    SetTimer(kLeaveTimer, kLeaveCheckMilliseconds, NULL);
    m_toolClicked.Clear();
    m_dwLastShow = ::GetTickCount();
}

CString CXTPToolTipContextToolTip::GetToolText(XTP_TOOLTIP_TOOLITEM& tool)
{
    if (!tool.bTextCallback)
        return tool.strText;

    NMTTDISPINFOA info;
    ZeroMemory(&info, sizeof(info));
    info.hdr.hwndFrom = m_hWnd;
    info.hdr.idFrom = tool.uId;
    info.hdr.code = TTN_GETDISPINFOA;
    info.uFlags = tool.uFlags;
    info.lpszText = info.szText;
    HWND hWndReceiver = m_hWndNotify != NULL ? m_hWndNotify : ::GetParent(m_hWnd);
    if (hWndReceiver != NULL)
        ::SendMessageA(hWndReceiver, WM_NOTIFY, tool.uId, reinterpret_cast<LPARAM>(&info));

    CString strText;
    if (info.hinst != NULL && IS_INTRESOURCE(info.lpszText) && info.lpszText != NULL)
    {
        char szBuffer[1024] = { 0 };
        ::LoadStringA(info.hinst, (UINT)(UINT_PTR)info.lpszText, szBuffer, sizeof(szBuffer));
        strText = szBuffer;
    }
    else if (info.lpszText == info.szText)
    {
        info.szText[sizeof(info.szText) - 1] = 0;
        strText = info.szText;
    }
    else if (info.lpszText != NULL && !IS_INTRESOURCE(info.lpszText))
    {
        strText = info.lpszText;
    }

    if (m_pContext != NULL && (m_pContext->GetToolTipStyle() & TTS_NOPREFIX) == 0)
        CXTPDrawHelpers::StripMnemonics(strText);

    tool.strText = strText;
    tool.bTextCallback = FALSE;
    return strText;
}

namespace
{
// The room a tip adds around its text (its margins and 3 pixels each side) and
// the width at which its text wraps (the widest tip, or the screen, less that room).
void GetTipTextLayout(CXTPToolTipContext* pContext, int& nExtraWidth, int& nExtraHeight, int& nWrapWidth)
{
    CRect rcMargin = pContext->GetMargin();
    nExtraWidth = rcMargin.left + rcMargin.right + 6;
    nExtraHeight = rcMargin.top + rcMargin.bottom + 6;
    int nMaxWidth = pContext->GetMaxTipWidth();
    if (nMaxWidth == -1)
        nMaxWidth = ::GetSystemMetrics(SM_CXSCREEN);
    nWrapWidth = nMaxWidth - nExtraWidth;
}
} // namespace

CSize CXTPToolTipContextToolTip::GetToolTipSize(const XTP_TOOLTIP_TOOLITEM* pTool)
{
    if (pTool == NULL || pTool->strText.IsEmpty() || m_pContext == NULL)
        return CSize(0, 0);

    int nExtraWidth = 0, nExtraHeight = 0, nWrapWidth = 0;
    GetTipTextLayout(m_pContext, nExtraWidth, nExtraHeight, nWrapWidth);

    CClientDC dc(this);
    CFont* pOldFont = dc.SelectObject(m_pContext->GetFont());
    CRect rcText(0, 0, nWrapWidth, 0);
    dc.DrawText(pTool->strText, &rcText, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    int cx = rcText.Width();
    int cy = rcText.Height();

    int nIconWidth = m_pIcon ? m_pIcon->GetWidth() : 0;
    int nIconHeight = m_pIcon ? m_pIcon->GetHeight() : 0;
    BOOL bTitle = !m_strTitle.IsEmpty();
    if (m_pIcon != NULL)
    {
        if (nIconHeight > 16)
            cx += nIconWidth + 5;
        else if (!bTitle)
            cx += nIconWidth + 3;
        cy = std::max(cy, nIconHeight);
    }

    if (bTitle)
    {
        dc.SelectObject(m_pContext->GetBoldFont());
        CRect rcTitle(0, 0, nWrapWidth - 25, 0);
        dc.DrawText(m_strTitle, &rcTitle, DT_CALCRECT | DT_NOPREFIX | DT_SINGLELINE);
        cy += rcTitle.Height() + 20;
        int nTitleWidth = rcTitle.Width() + 4;
        if (m_pIcon != NULL && nIconHeight <= 16)
            nTitleWidth += nIconWidth + 1;
        cx = std::max(cx + 25, nTitleWidth);
    }
    dc.SelectObject(pOldFont);

    return CSize(cx + nExtraWidth, cy + nExtraHeight);
}

void CXTPToolTipContextToolTip::DrawBackground(CDC* pDC, const XTP_TOOLTIP_TOOLITEM*, CRect rc)
{
    pDC->FillSolidRect(rc, m_pContext->GetTipBkColor());
    if (GetStyle() & 0x1000)
        pDC->Draw3dRect(rc, GetXTPSysColor(COLOR_3DFACE), RGB(0, 0, 0));
    else
        pDC->Draw3dRect(rc, RGB(0, 0, 0), RGB(0, 0, 0));
}

void CXTPToolTipContextToolTip::DrawContent(CDC* pDC, const XTP_TOOLTIP_TOOLITEM* pTool, CRect rc)
{
    CRect rcMargin = m_pContext->GetMargin();
    rc.DeflateRect(rcMargin.left + 3, rcMargin.top + 3, rcMargin.right + 3, rcMargin.bottom + 3);

    BOOL bRTL = IsToolWindowRTL(pTool);
    UINT nFormat = DT_NOPREFIX | (bRTL ? DT_RIGHT | DT_RTLREADING : 0);

    CRect rcTitle(rc.left + 2, rc.top + 2, rc.right - 2, rc.bottom);
    BOOL bTitle = !m_strTitle.IsEmpty();

    if (m_pIcon != NULL && m_pIcon->GetHeight() < 17)
    {
        int nIconWidth = m_pIcon->GetWidth();
        CPoint ptIcon = bRTL ? CPoint(rcTitle.right - nIconWidth, rcTitle.top) : rcTitle.TopLeft();
        m_pIcon->DrawNormal(pDC, ptIcon, CSize(nIconWidth, m_pIcon->GetHeight()));
        if (!bTitle)
        {
            if (bRTL)
                rc.right -= nIconWidth + 3;
            else
                rc.left += nIconWidth + 3;
        }
        else if (bRTL)
        {
            rcTitle.right -= nIconWidth + 1;
        }
        else
        {
            rcTitle.left += nIconWidth + 1;
        }
    }

    if (bTitle)
    {
        CFont* pOldFont = pDC->SelectObject(m_pContext->GetBoldFont());
        CRect rcTitleText = rcTitle;
        pDC->DrawText(m_strTitle, &rcTitleText, nFormat | DT_SINGLELINE);
        CRect rcCalc = rcTitle;
        pDC->DrawText(m_strTitle, &rcCalc, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
        pDC->SelectObject(pOldFont);
        rc.top += rcCalc.Height() + 12;
        if (bRTL)
        {
            rc.right -= 10;
            rc.left += 15;
        }
        else
        {
            rc.left += 10;
            rc.right -= 15;
        }
    }

    if (m_pIcon != NULL && m_pIcon->GetHeight() >= 17)
    {
        int nIconWidth = m_pIcon->GetWidth();
        CPoint ptIcon = bRTL ? CPoint(rc.right - nIconWidth, rc.top) : rc.TopLeft();
        m_pIcon->DrawNormal(pDC, ptIcon, CSize(nIconWidth, m_pIcon->GetHeight()));
        if (bRTL)
            rc.right -= nIconWidth + 5;
        else
            rc.left += nIconWidth + 5;
    }

    pDC->DrawText(pTool->strText, &rc, nFormat | DT_WORDBREAK);
}

void CXTPToolTipContextToolTip::OnPaint()
{
    CPaintDC dcPaint(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    CDC* pDC = &dcPaint;

    DrawBackground(pDC, &m_toolShown, rcClient);
    pDC->SetTextColor(m_pContext->GetTipTextColor());
    pDC->SetBkMode(TRANSPARENT);
    CFont* pOldFont = pDC->SelectObject(m_pContext->GetFont());
    DrawContent(pDC, &m_toolShown, rcClient);
    pDC->SelectObject(pOldFont);
}

void CXTPToolTipContextToolTip::SetMouseHook(BOOL bSet)
{
    if (bSet)
    {
        // One hook for the process: a second tip does not install its own.
        if (s_hHookMouse == NULL)
        {
            s_hHookMouse = ::SetWindowsHookExA(WH_MOUSE, &CXTPToolTipContextToolTip::TipMouseProc,
                                               AfxGetInstanceHandle(), ::GetCurrentThreadId());
            s_pWndHook = this;
        }
    }
    else if (s_pWndHook == this)
    {
        if (s_hHookMouse != NULL)
            ::UnhookWindowsHookEx(s_hHookMouse);
        s_hHookMouse = NULL;
        s_pWndHook = NULL;
    }
}

LRESULT CALLBACK CXTPToolTipContextToolTip::TipMouseProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    HHOOK hHook = s_hHookMouse;
    try
    {
        const MOUSEHOOKSTRUCT* pHook = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam);
        CXTPToolTipContextToolTip* pTip = s_pWndHook;
        if (nCode == HC_ACTION && pHook != NULL && pTip != NULL && wParam == WM_MOUSEMOVE &&
            pHook->hwnd != pTip->m_toolShown.hwnd)
        {
            MSG msg;
            ZeroMemory(&msg, sizeof(msg));
            msg.hwnd = pHook->hwnd;
            msg.message = WM_MOUSEMOVE;
            msg.pt = pHook->pt;
            pTip->OnRelayEvent(&msg);
        }
    }
    catch (CException* e)
    {
        TRACE_EXCEPTION("The tooltip mouse hook", e);
        e->Delete();
    }
    catch (...)
    {
        TRACE_EXCEPTION("The tooltip mouse hook", NULL);
    }
    return ::CallNextHookEx(hHook, nCode, wParam, lParam);
}

//////////////////////////////////////////////////////////////////////////
// The looks

void CXTPToolTipContext::CLunaToolTip::DrawBackground(CDC* pDC, const XTP_TOOLTIP_TOOLITEM*, CRect rc)
{
    COLORREF clrFrame;
    switch (GetColorManager()->GetCurrentSystemTheme())
    {
    case xtpSystemThemeBlue:
        clrFrame = RGB(0, 0, 128);
        break;
    case xtpSystemThemeOlive:
        clrFrame = RGB(63, 93, 56);
        break;
    case xtpSystemThemeSilver:
        clrFrame = RGB(75, 75, 111);
        break;
    default:
        XTPDrawHelpers()->GradientFill(pDC, rc, m_pContext->GetTipBkColor(), RGB(255, 255, 255), FALSE);
        pDC->Draw3dRect(rc, RGB(0, 0, 0), RGB(0, 0, 0));
        return;
    }
    XTPDrawHelpers()->GradientFill(pDC, rc, RGB(255, 212, 151), RGB(255, 242, 200), FALSE);
    pDC->Draw3dRect(rc, clrFrame, clrFrame);
}

void CXTPToolTipContext::COffice2007ToolTip::DrawBackground(CDC* pDC, const XTP_TOOLTIP_TOOLITEM*, CRect rc)
{
    CXTPOffice2007ImageStore* pStore = XTPOffice2007ImageStore();
    COLORREF clrLight = pStore->GetImageColor(_T("Window"), _T("TooltipLight"));
    COLORREF clrDark = pStore->GetImageColor(_T("Window"), _T("TooltipDark"));
    COLORREF clrBorder = pStore->GetImageColor(_T("Window"), _T("TooltipBorder"));
    if (clrLight == COLORREF_NULL)
        clrLight = RGB(255, 255, 255);
    if (clrDark == COLORREF_NULL)
        clrDark = RGB(201, 217, 239);
    if (clrBorder == COLORREF_NULL)
        clrBorder = RGB(118, 118, 118);
    XTPDrawHelpers()->GradientFill(pDC, rc, clrLight, clrDark, FALSE);
    pDC->Draw3dRect(rc, clrBorder, clrBorder);
}

CXTPToolTipContext::CRichEditToolTip::CRichEditToolTip(CXTPToolTipContext* pContext)
    : CXTPToolTipContextToolTip(pContext)
    , m_pRichRender(new CXTPRichRender())
{
}

CXTPToolTipContext::CRichEditToolTip::~CRichEditToolTip()
{
    if (m_pRichRender != NULL)
        m_pRichRender->InternalRelease();
}

CSize CXTPToolTipContext::CRichEditToolTip::GetToolTipSize(const XTP_TOOLTIP_TOOLITEM* pTool)
{
    if (pTool == NULL || pTool->strText.IsEmpty() || m_pRichRender == NULL || !m_pRichRender->IsAvailable())
        return CSize(0, 0);

    int nExtraWidth = 0, nExtraHeight = 0, nWrapWidth = 0;
    GetTipTextLayout(m_pContext, nExtraWidth, nExtraHeight, nWrapWidth);

    CClientDC dc(this);

    // The default format takes the tip's text colour and normal font.
    CHARFORMATW cf = m_pRichRender->GetDefaultCharFormat();
    cf.crTextColor = m_pContext->GetTipTextColor();
    cf.dwEffects &= ~CFE_AUTOCOLOR;
    LOGFONTA lf;
    ZeroMemory(&lf, sizeof(lf));
    m_pContext->GetFont()->GetLogFont(&lf);
    int nLogPixelsY = dc.GetDeviceCaps(LOGPIXELSY);
    if (nLogPixelsY <= 0)
        nLogPixelsY = 96;
    cf.yHeight = ::MulDiv(lf.lfHeight < 0 ? -lf.lfHeight : lf.lfHeight, 1440, nLogPixelsY);
    ::MultiByteToWideChar(CP_ACP, 0, lf.lfFaceName, -1, cf.szFaceName, LF_FACESIZE);
    cf.szFaceName[LF_FACESIZE - 1] = 0;
    m_pRichRender->SetDefaultCharFormat(&cf);

    m_pRichRender->SetText(pTool->strText);
    CSize sz = m_pRichRender->GetTextExtent(&dc, nWrapWidth);
    if (sz.cx <= 0 || sz.cy <= 0)
        return CSize(0, 0);
    return CSize(sz.cx + nExtraWidth, sz.cy + nExtraHeight);
}

void CXTPToolTipContext::CRichEditToolTip::DrawContent(CDC* pDC, const XTP_TOOLTIP_TOOLITEM*, CRect rc)
{
    CRect rcMargin = m_pContext->GetMargin();
    rc.DeflateRect(rcMargin.left + 3, rcMargin.top + 3, rcMargin.right + 3, rcMargin.bottom + 3);
    if (m_pRichRender != NULL)
        m_pRichRender->DrawText(pDC, rc);
}

LRESULT CXTPToolTipContext::CStandardToolTip::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == TTM_WINDOWFROMPOINT)
    {
        LRESULT lResult = CToolTipCtrl::WindowProc(message, wParam, lParam);
        HWND hWnd = reinterpret_cast<HWND>(lResult);
        if (hWnd != NULL && (::GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD) != 0 &&
            ::SendMessageA(hWnd, XTP_TTM_WINDOWFROMPOINT, 0, 0) == 1)
        {
            return reinterpret_cast<LRESULT>(::GetParent(hWnd));
        }
        return lResult;
    }
    return CToolTipCtrl::WindowProc(message, wParam, lParam);
}

void CXTPToolTipContext::CStandardToolTip::PostNcDestroy()
{
    // The context owns the object.
}

//////////////////////////////////////////////////////////////////////////
// CXTPToolTipContext

CXTPToolTipContext::CXTPToolTipContext()
    : m_bShowTitleAndDescription(FALSE)
    , m_bShowImage(FALSE)
    , m_nImageBase(0)
    , m_toolStyle(xtpToolTipStandard)
    , m_nComCtlVersion((int)XTPGetComCtlVersion())
    , m_nTitleIcon(1)
    , m_nMaxTipWidth(-1)
    , m_dwStyle(TTS_NOPREFIX)
    , m_rcMargin(0, 0, 0, 0)
    , m_nDelayInitial(-1)
    , m_nDelayReshow(-1)
    , m_nDelayAutoPop(-1)
    , m_pToolTip(NULL)
    , m_clrTipBkColor(COLORREF_NULL)
    , m_clrTipTextColor(COLORREF_NULL)
{
    ZeroMemory(&m_lastInfo, sizeof(m_lastInfo));
    m_lastInfo.uId = (UINT_PTR)-1;

    NONCLIENTMETRICSA ncm;
    XTPGetNonClientMetrics(ncm);
    LOGFONTA lf = ncm.lfStatusFont;
    lf.lfWeight = FW_NORMAL;
    m_fnt.CreateFontIndirect(&lf);
    lf.lfWeight = FW_BOLD;
    m_fntTitle.CreateFontIndirect(&lf);

    AfxInitRichEdit();
}

CXTPToolTipContext::~CXTPToolTipContext()
{
    DestroyToolTip();
}

void CXTPToolTipContext::DestroyToolTip()
{
    if (m_pToolTip != NULL)
    {
        CWnd* pToolTip = m_pToolTip;
        m_pToolTip = NULL;
        if (pToolTip->GetSafeHwnd() != NULL)
            pToolTip->DestroyWindow();
        delete pToolTip;
    }
    ZeroMemory(&m_lastInfo, sizeof(m_lastInfo));
    m_lastInfo.uId = (UINT_PTR)-1;
}

void CXTPToolTipContext::SetStyle(int nStyle)
{
    if (nStyle != m_toolStyle)
    {
        m_toolStyle = nStyle;
        DestroyToolTip();
    }
}

void CXTPToolTipContext::SetDelayTime(DWORD dwDuration, int nTime)
{
    if (dwDuration == TTDT_INITIAL)
        m_nDelayInitial = nTime;
    else if (dwDuration == TTDT_RESHOW)
        m_nDelayReshow = nTime;
    else if (dwDuration == TTDT_AUTOPOP)
        m_nDelayAutoPop = nTime;
    if (m_pToolTip != NULL && m_pToolTip->GetSafeHwnd() != NULL && nTime != -1)
        m_pToolTip->SendMessage(TTM_SETDELAYTIME, dwDuration, MAKELPARAM(nTime, 0));
}

COLORREF CXTPToolTipContext::GetTipBkColor() const
{
    return m_clrTipBkColor != COLORREF_NULL ? m_clrTipBkColor : GetXTPSysColor(COLOR_INFOBK);
}

COLORREF CXTPToolTipContext::GetTipTextColor() const
{
    if (m_clrTipTextColor != COLORREF_NULL)
        return m_clrTipTextColor;
    return m_toolStyle == xtpToolTipOffice2007 ? RGB(76, 76, 76) : GetXTPSysColor(COLOR_INFOTEXT);
}

void CXTPToolTipContext::CancelToolTips()
{
    if (m_pToolTip != NULL && m_pToolTip->GetSafeHwnd() != NULL)
        m_pToolTip->SendMessage(TTM_ACTIVATE, FALSE, 0);
}

void CXTPToolTipContext::ModifyToolTipStyle(DWORD dwRemove, DWORD dwAdd)
{
    DWORD dwStyle = (m_dwStyle & ~dwRemove) | dwAdd;
    if (dwStyle != m_dwStyle)
    {
        m_dwStyle = dwStyle;
        DestroyToolTip();
    }
}

void AFX_CDECL CXTPToolTipContext::FillInToolInfo(TOOLINFO* pTI, HWND hWnd, CRect rect, INT_PTR nHit,
                                                  const CString& strToolTip)
{
    if (pTI == NULL || pTI->cbSize < kToolInfoSize)
        return;
    pTI->hwnd = hWnd;
    pTI->rect = rect;
    pTI->uId = (UINT_PTR)nHit;
    pTI->lpszText = DuplicateText(strToolTip);
}

void AFX_CDECL CXTPToolTipContext::FillInToolInfoEx(TOOLINFO* pTI, HWND hWnd, CRect rect, INT_PTR nHit,
                                                    const CString& strToolTip, const CString& strTitle,
                                                    const CString& strDescription, CXTPImageManager* pImageManager)
{
    FillInToolInfo(pTI, hWnd, rect, nHit, strToolTip);
    if (pTI == NULL || pTI->cbSize < kToolInfoExSize || pTI->lParam == 0)
        return;
    XTP_TOOLTIP_TOOLINFO_EX* pExtra = reinterpret_cast<XTP_TOOLTIP_TOOLINFO_EX*>(pTI->lParam);
    if (!strTitle.IsEmpty() && !strDescription.IsEmpty())
    {
        pExtra->pszTitle = DuplicateText(strTitle);
        pExtra->pszDescription = DuplicateText(strDescription);
    }
    pExtra->pImageManager = pImageManager;
}

CWnd* CXTPToolTipContext::CreateToolTip(CWnd* pWndParent)
{
    DWORD dwStyle = m_dwStyle | TTS_ALWAYSTIP | TTS_NOPREFIX;

    CXTPToolTipContextToolTip* pOwnTip = NULL;
    switch (m_toolStyle)
    {
    case xtpToolTipOffice:
        pOwnTip = new CXTPToolTipContextToolTip(this);
        break;
    case xtpToolTipRTF:
        pOwnTip = new CRichEditToolTip(this);
        break;
    case xtpToolTipLuna:
        pOwnTip = new CLunaToolTip(this);
        break;
    case xtpToolTipOffice2007:
        pOwnTip = new COffice2007ToolTip(this);
        break;
    default:
        break;
    }

    if (pOwnTip != NULL)
    {
        if (!pOwnTip->Create(pWndParent, dwStyle))
        {
            delete pOwnTip;
            return NULL;
        }
        return pOwnTip;
    }

    CStandardToolTip* pToolTip = new CStandardToolTip();
    if (m_toolStyle == xtpToolTipBalloon)
        dwStyle |= TTS_BALLOON;
    if (!pToolTip->Create(pWndParent, dwStyle & ~XTP_TTS_NOSHADOW))
    {
        delete pToolTip;
        return NULL;
    }
    return pToolTip;
}

void CXTPToolTipContext::ConfigureToolTip()
{
    HWND hWndTip = m_pToolTip->GetSafeHwnd();
    ::SendMessageA(hWndTip, TTM_SETMAXTIPWIDTH, 0, m_nMaxTipWidth);
    RECT rcMargin = m_rcMargin;
    ::SendMessageA(hWndTip, TTM_SETMARGIN, 0, reinterpret_cast<LPARAM>(&rcMargin));
    if (m_clrTipBkColor != COLORREF_NULL)
        ::SendMessageA(hWndTip, TTM_SETTIPBKCOLOR, m_clrTipBkColor, 0);
    if (m_clrTipTextColor != COLORREF_NULL)
        ::SendMessageA(hWndTip, TTM_SETTIPTEXTCOLOR, m_clrTipTextColor, 0);
    if (m_nDelayReshow != -1)
        ::SendMessageA(hWndTip, TTM_SETDELAYTIME, TTDT_RESHOW, MAKELPARAM(m_nDelayReshow, 0));
    if (m_nDelayInitial != -1)
        ::SendMessageA(hWndTip, TTM_SETDELAYTIME, TTDT_INITIAL, MAKELPARAM(m_nDelayInitial, 0));
    if (m_nDelayAutoPop != -1)
        ::SendMessageA(hWndTip, TTM_SETDELAYTIME, TTDT_AUTOPOP, MAKELPARAM(m_nDelayAutoPop, 0));
    ::SendMessageA(hWndTip, TTM_ACTIVATE, FALSE, 0);
}

void CXTPToolTipContext::FreeToolInfoTexts(TOOLINFO& ti)
{
    if (IsRealText(ti.lpszText))
        free(ti.lpszText);
    ti.lpszText = NULL;
    if (ti.cbSize >= kToolInfoExSize && ti.lParam != 0)
    {
        XTP_TOOLTIP_TOOLINFO_EX* pExtra = reinterpret_cast<XTP_TOOLTIP_TOOLINFO_EX*>(ti.lParam);
        free(pExtra->pszTitle);
        free(pExtra->pszDescription);
        pExtra->pszTitle = NULL;
        pExtra->pszDescription = NULL;
    }
}

void CXTPToolTipContext::FilterToolTipMessage(CWnd* pWndHost, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (pWndHost == NULL || pWndHost->GetSafeHwnd() == NULL)
        return;
    MSG msg;
    ZeroMemory(&msg, sizeof(msg));
    msg.hwnd = pWndHost->GetSafeHwnd();
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    // Only the messages that move or show a tip use the cursor position;
    // reading it is a round trip to the window server, and this runs for
    // every message the host receives.
    if (IsTipMessage(message))
        ::GetCursorPos(&msg.pt);
    FilterToolTipMessageHelper(pWndHost, &msg, FALSE);
}

void CXTPToolTipContext::FilterToolTipMessage(CWnd* pWndHost, MSG* pMsg)
{
    if (pWndHost == NULL || pWndHost->GetSafeHwnd() == NULL || pMsg == NULL)
        return;
    FilterToolTipMessageHelper(pWndHost, pMsg, TRUE);
}

void CXTPToolTipContext::FilterToolTipMessageHelper(CWnd* pWndHost, MSG* pMsg, BOOL bAncestorTest)
{
    HWND hWndHost = pWndHost->GetSafeHwnd();
    UINT message = pMsg->message;

    if (bAncestorTest)
    {
        // Only messages of the owner or its descendants concern it, and not
        // those below a window that keeps its own tooltips.
        HWND hWnd = pMsg->hwnd;
        while (hWnd != NULL && hWnd != hWndHost)
        {
            CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
            if (pWnd != NULL && (pWnd->m_nFlags & (WF_TOOLTIPS | WF_TRACKINGTOOLTIPS)) != 0)
                return;
            hWnd = ::GetParent(hWnd);
        }
        if (hWnd == NULL)
            return;
    }

    if (!IsTipMessage(message) || IsMouseButtonDown())
    {
        BOOL bCancel = (message >= WM_KEYFIRST && message <= WM_SYSDEADCHAR) || message == WM_LBUTTONDOWN ||
                       message == WM_LBUTTONDBLCLK || message == WM_RBUTTONDOWN ||
                       message == WM_RBUTTONDBLCLK || message == WM_MBUTTONDOWN ||
                       message == WM_MBUTTONDBLCLK || message == WM_NCLBUTTONDOWN ||
                       message == WM_NCLBUTTONDBLCLK || message == WM_NCRBUTTONDOWN ||
                       message == WM_NCRBUTTONDBLCLK || message == WM_NCMBUTTONDOWN ||
                       message == WM_NCMBUTTONDBLCLK;
        if (bCancel)
            CancelToolTips();
        return;
    }

    if (m_pToolTip != NULL && m_pToolTip->GetSafeHwnd() != NULL && m_pToolTip->IsWindowVisible() &&
        !CXTPDrawHelpers::IsTopParentActive(hWndHost))
    {
        m_pToolTip->SendMessage(TTM_ACTIVATE, FALSE, 0);
        return;
    }

    HWND hWndParentOwner = GetParentOwner(hWndHost);
    if (m_pToolTip != NULL &&
        (m_pToolTip->GetSafeHwnd() == NULL || ::GetParent(m_pToolTip->GetSafeHwnd()) != hWndParentOwner))
    {
        DestroyToolTip();
    }
    if (m_pToolTip == NULL)
    {
        m_pToolTip = CreateToolTip(CWnd::FromHandle(hWndParentOwner));
        if (m_pToolTip == NULL)
            return;
        ConfigureToolTip();
    }
    HWND hWndTip = m_pToolTip->GetSafeHwnd();

    CPoint point = pMsg->pt;
    ::ScreenToClient(hWndHost, &point);

    XTP_TOOLTIP_TOOLINFO_EX extra;
    ZeroMemory(&extra, sizeof(extra));
    TOOLINFO ti;
    ZeroMemory(&ti, sizeof(ti));
    BOOL bExtended = m_bShowTitleAndDescription || m_bShowImage;
    ti.cbSize = bExtended ? kToolInfoExSize : kToolInfoSize;
    if (bExtended)
        ti.lParam = reinterpret_cast<LPARAM>(&extra);

    INT_PTR nHit = pWndHost->OnToolHitTest(point, &ti);

    if (bExtended && extra.pszTitle != NULL && extra.pszDescription != NULL &&
        strcmp(extra.pszTitle, extra.pszDescription) == 0)
    {
        free(extra.pszDescription);
        extra.pszDescription = NULL;
    }
    if ((m_dwStyle & TTS_NOPREFIX) == 0)
    {
        StripInPlace(ti.lpszText);
        StripInPlace(extra.pszDescription);
    }

    BOOL bSameTool = m_lastInfo.hwnd == ti.hwnd && m_lastInfo.uId == ti.uId;
    if (bSameTool && ::EqualRect(&m_lastInfo.rect, &ti.rect))
    {
        if (nHit != -1)
        {
            RelayEventToTip(hWndTip, pMsg);
        }
        FreeToolInfoTexts(ti);
        return;
    }

    if (bSameTool)
        ::SendMessageA(hWndTip, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&m_lastInfo));

    if (nHit != -1)
    {
        // The two top flag bits are the hit test's own (bit 30: show the tip
        // even while the frame is inactive); the tip control never sees them.
        BOOL bAlwaysTip = (ti.uFlags & TTF_ALWAYSTIP) != 0;
        ti.uFlags &= ~(TTF_NOTBUTTON | TTF_ALWAYSTIP);
        TOOLINFO tiAdd = ti;
        ::SendMessageA(hWndTip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tiAdd));

        if (m_toolStyle != xtpToolTipRTF &&
            (m_nComCtlVersion >= MAKELONG(80, 5) || m_toolStyle != xtpToolTipStandard))
        {
            if (m_bShowTitleAndDescription && extra.pszDescription != NULL && extra.pszTitle != NULL)
            {
                ::SendMessageA(hWndTip, TTM_SETTITLEA, m_nTitleIcon, reinterpret_cast<LPARAM>(extra.pszTitle));
                TOOLINFO tiText = ti;
                tiText.lpszText = extra.pszDescription;
                ::SendMessageA(hWndTip, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tiText));
            }
            else
            {
                // No title at all (a null one): an empty title still makes the
                // platform's tip keep room for a title line above the text.
                ::SendMessageA(hWndTip, TTM_SETTITLEA, 0, 0);
            }
        }

        if (m_bShowImage)
        {
            CXTPImageManagerIcon* pIcon = NULL;
            if (extra.pImageManager != NULL)
                pIcon = extra.pImageManager->GetImage((UINT)(m_nImageBase + nHit), 1);
            ::SendMessageA(hWndTip, XTP_TTM_SETIMAGE, 0, reinterpret_cast<LPARAM>(pIcon));
        }

        if (bAlwaysTip || CXTPDrawHelpers::IsTopParentActive(hWndHost))
        {
            ::SendMessageA(hWndTip, TTM_ACTIVATE, TRUE, 0);
            ::SetWindowPos(hWndTip, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
    }
    else
    {
        ::SendMessageA(hWndTip, TTM_ACTIVATE, FALSE, 0);
    }

    RelayEventToTip(hWndTip, pMsg);

    if (!bSameTool && m_lastInfo.hwnd != NULL && (m_lastInfo.hwnd != ti.hwnd || m_lastInfo.uId != ti.uId))
        ::SendMessageA(hWndTip, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&m_lastInfo));

    FreeToolInfoTexts(ti);
    m_lastInfo = ti;
    m_lastInfo.lpszText = NULL;
    m_lastInfo.lParam = 0;
    if (nHit == -1)
    {
        ZeroMemory(&m_lastInfo, sizeof(m_lastInfo));
        m_lastInfo.uId = (UINT_PTR)-1;
    }
}
