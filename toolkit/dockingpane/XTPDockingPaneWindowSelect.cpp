// The window selector: its items and columns, the modal loop, its keys and
// mouse, and its drawing.
#include "XTPDockingPaneWindowSelect.h"

#include "XTPDockingPane.h"
#include "XTPDockingPaneManager.h"
#include "XTPDockingPanePaintManager.h"

#include <XTPColorManager.h>
#include <XTPDCHelpers.h>
#include <XTPImageManager.h>
#include <XTPResourceManager.h>
#include <XTPTabPaintManager.h>
#include <afxpriv.h>

#include <algorithm>

namespace
{
// Geometry of the lists: the tool-window column, the document columns and
// the most documents in one column.
const int kToolLeft = 9;
const int kToolRight = 172;
const int kFileLeft = 184;
const int kItemWidth = 163;
const int kColumnWidth = 175;
const int kRowsPerColumn = 15;

const int kResultAccept = 1;
const int kResultCancel = 2;

BOOL IsModifierKey(UINT nChar)
{
    return nChar == VK_SHIFT || nChar == VK_CONTROL || nChar == VK_MENU;
}
} // namespace

BEGIN_MESSAGE_MAP(CXTPDockingPaneWindowSelect, CMiniFrameWnd)
    ON_WM_KILLFOCUS()
    ON_WM_CAPTURECHANGED()
    ON_WM_KEYUP()
    ON_WM_KEYDOWN()
    ON_WM_SYSKEYDOWN()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_PAINT()
    ON_MESSAGE(WM_FLOATSTATUS, OnFloatStatus)
END_MESSAGE_MAP()

CXTPDockingPaneWindowSelect::CXTPDockingPaneWindowSelect(CXTPDockingPaneManager* pManager, int nStartMode)
    : m_pManager(pManager), m_pSelected(NULL), m_hHandCursor(NULL), m_hArrowCursor(NULL),
      m_strActiveTools(_T("Active Tool Windows")), m_strActiveFiles(_T("Active Files")), m_nFirstFile(0),
      m_nStartMode(nStartMode), m_nItemHeight(0), m_szWindow(0, 0)
{
    m_hHandCursor = ::LoadCursor(NULL, IDC_HAND);
    if (m_hHandCursor == NULL)
        m_hHandCursor = XTPResourceManager()->LoadCursor(XTP_IDC_HAND);
    m_hArrowCursor = ::LoadCursor(NULL, IDC_ARROW);

    LOGFONT lf;
    ZeroMemory(&lf, sizeof(lf));
    ::SystemParametersInfo(SPI_GETICONTITLELOGFONT, sizeof(LOGFONT), &lf, 0);
    lf.lfWeight = FW_NORMAL;
    m_fnt.CreateFontIndirect(&lf);
    lf.lfWeight = FW_BOLD;
    m_fntBold.CreateFontIndirect(&lf);
}

CXTPDockingPaneWindowSelect::~CXTPDockingPaneWindowSelect()
{
    DeleteItems();
    if (m_hWnd != NULL)
        DestroyWindow();
}

void CXTPDockingPaneWindowSelect::DeleteItems()
{
    for (int i = 0; i < m_arrItems.GetSize(); i++)
        delete m_arrItems[i];
    m_arrItems.RemoveAll();
    m_arrColumns.RemoveAll();
    m_pSelected = NULL;
}

void CXTPDockingPaneWindowSelect::SetSelected(CItem* pItem)
{
    if (m_pSelected == pItem)
        return;
    m_pSelected = pItem;
    if (m_hWnd != NULL)
        Invalidate(FALSE);
}

//////////////////////////////////////////////////////////////////////////
// Items

BOOL CXTPDockingPaneWindowSelect::Reposition()
{
    DeleteItems();
    if (m_pManager == NULL || m_pManager->GetCurrentLayout() == NULL)
        return FALSE;

    // One row: a line of text or an icon, whichever is taller.
    CWindowDC dc(NULL);
    CFont* pOldFont = dc.SelectObject(&m_fnt);
    int nTextHeight = dc.GetTextExtent(CString(_T("X"))).cy;
    dc.SelectObject(pOldFont);
    CXTPDockingPanePaintManager* pPaintManager = m_pManager->GetPaintManager();
    int nIconHeight = pPaintManager != NULL ? pPaintManager->GetPanelPaintManager()->m_szIcon.cy : 16;
    const int h = std::max(nTextHeight + 4, nIconHeight + 4);
    m_nItemHeight = h;

    // The tool windows: every enabled pane, in record order.
    const CXTPDockingPaneInfoList& lst = m_pManager->GetPaneList();
    POSITION pos = lst.GetHeadPosition();
    while (pos != NULL)
    {
        CXTPDockingPane* pPane = lst.GetNext(pos).pPane;
        if (pPane == NULL || (pPane->GetEnabled() & xtpPaneEnabled) == 0)
            continue;
        CItem* pItem = new CItem;
        pItem->type = CItem::itemPane;
        pItem->pPane = pPane;
        pItem->nIndex = (int)m_arrItems.GetSize();
        pItem->nColumn = 0;
        pItem->nRow = pItem->nIndex;
        int y = h + 13 + pItem->nRow * (h + 1);
        pItem->rc.SetRect(kToolLeft, y, kToolRight, y + h);
        m_arrItems.Add(pItem);
        if (pPane == m_pManager->GetActivePane())
            m_pSelected = pItem;
    }
    const int nTools = (int)m_arrItems.GetSize();
    if (nTools == 0)
        return FALSE;
    CColumn column = { 0, nTools - 1 };
    m_arrColumns.Add(column);

    const BOOL bShift = ::GetKeyState(VK_SHIFT) < 0;
    if (m_nStartMode == startToolWindows)
    {
        if (m_pSelected == NULL)
            m_pSelected = m_arrItems[bShift ? nTools - 1 : 0];
        else
            m_pSelected = m_arrItems[(m_pSelected->nIndex + (bShift ? nTools - 1 : 1)) % nTools];
    }

    m_nFirstFile = nTools;
    AddDocuments(h);
    const int nFiles = (int)m_arrItems.GetSize() - m_nFirstFile;
    if (m_nStartMode == startDocuments && nFiles >= 2)
        m_pSelected = m_arrItems[bShift ? m_arrItems.GetSize() - 1 : m_nFirstFile + 1];

    int nRows = 1;
    for (int i = 0; i < m_arrColumns.GetSize(); i++)
        nRows = std::max(nRows, m_arrColumns[i].nLast - m_arrColumns[i].nFirst + 1);
    m_szWindow.cx = std::max((int)m_arrColumns.GetSize(), 2) * kColumnWidth + 4;
    m_szWindow.cy = (h + 1) * nRows + 123 + h;
    return TRUE;
}

void CXTPDockingPaneWindowSelect::AddDocuments(int h)
{
    CWnd* pSite = m_pManager->GetSite();
    if (pSite == NULL)
        return;
    CMDIFrameWnd* pMDIFrame = DYNAMIC_DOWNCAST(CMDIFrameWnd, pSite);
    HWND hWndClient = pMDIFrame != NULL ? pMDIFrame->m_hWndMDIClient : NULL;
    if (hWndClient == NULL)
    {
        // Without documents windows, the frame itself stands for its document.
        CItem* pItem = new CItem;
        pItem->type = CItem::itemFrame;
        pItem->hWndFrame = pSite->GetSafeHwnd();
        pItem->nIndex = (int)m_arrItems.GetSize();
        pItem->nColumn = 1;
        pItem->rc.SetRect(kFileLeft, h + 13, kFileLeft + kItemWidth, h + 13 + h);
        m_arrItems.Add(pItem);
        CColumn column = { pItem->nIndex, pItem->nIndex };
        m_arrColumns.Add(column);
        return;
    }
    HWND hWndActive = (HWND)::SendMessage(hWndClient, WM_MDIGETACTIVE, 0, 0);
    int nRow = 0, nColumn = 1;
    for (HWND hWnd = hWndActive; hWnd != NULL; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT))
    {
        if (!::IsWindowVisible(hWnd) || !::IsWindowEnabled(hWnd))
            continue;
        if (nRow == kRowsPerColumn)
        {
            nRow = 0;
            nColumn++;
        }
        CItem* pItem = new CItem;
        pItem->type = CItem::itemMDIChild;
        pItem->hWndFrame = hWnd;
        pItem->nIndex = (int)m_arrItems.GetSize();
        pItem->nColumn = nColumn;
        pItem->nRow = nRow;
        int x = kFileLeft + (nColumn - 1) * kColumnWidth, y = h + 13 + nRow * (h + 1);
        pItem->rc.SetRect(x, y, x + kItemWidth, y + h);
        m_arrItems.Add(pItem);
        if (nRow == 0)
        {
            CColumn column = { pItem->nIndex, pItem->nIndex };
            m_arrColumns.Add(column);
        }
        m_arrColumns[m_arrColumns.GetSize() - 1].nLast = pItem->nIndex;
        nRow++;
    }
}

CXTPDockingPaneWindowSelect::CItem* CXTPDockingPaneWindowSelect::HitTest(CPoint point) const
{
    for (int i = 0; i < m_arrItems.GetSize(); i++)
    {
        if (m_arrItems[i]->rc.PtInRect(point))
            return m_arrItems[i];
    }
    return NULL;
}

CDocument* CXTPDockingPaneWindowSelect::GetItemDocument(const CItem* pItem) const
{
    if (pItem == NULL || pItem->hWndFrame == NULL)
        return NULL;
    CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, CWnd::FromHandlePermanent(pItem->hWndFrame));
    return pFrame != NULL ? pFrame->GetActiveDocument() : NULL;
}

CString CXTPDockingPaneWindowSelect::GetItemCaption(const CItem* pItem) const
{
    if (pItem == NULL)
        return CString();
    if (pItem->type == CItem::itemPane)
        return pItem->pPane->GetTitle();
    CDocument* pDocument = GetItemDocument(pItem);
    if (pDocument != NULL)
        return pDocument->GetTitle();
    CString strText;
    CWnd::FromHandle(pItem->hWndFrame)->GetWindowText(strText);
    return strText;
}

HICON CXTPDockingPaneWindowSelect::GetItemIcon(const CItem* pItem) const
{
    if (pItem->hWndFrame == NULL)
        return NULL;
    HICON hIcon = (HICON)::SendMessage(pItem->hWndFrame, WM_GETICON, ICON_SMALL, 0);
    if (hIcon == NULL)
        hIcon = (HICON)::SendMessage(pItem->hWndFrame, WM_GETICON, ICON_BIG, 0);
    if (hIcon == NULL)
        hIcon = (HICON)::GetClassLongPtr(pItem->hWndFrame, GCLP_HICONSM);
    return hIcon;
}

//////////////////////////////////////////////////////////////////////////
// The modal loop

BOOL CXTPDockingPaneWindowSelect::Show()
{
    CWnd* pSite = m_pManager != NULL ? m_pManager->GetSite() : NULL;
    if (pSite == NULL || pSite->GetSafeHwnd() == NULL)
        return FALSE;
    UINT nClassStyle = CS_SAVEBITS | CS_OWNDC;
    BOOL bDropShadow = FALSE;
    if (::SystemParametersInfo(SPI_GETDROPSHADOW, 0, &bDropShadow, 0) && bDropShadow)
        nClassStyle |= CS_DROPSHADOW;
    LPCTSTR lpszClass = AfxRegisterWndClass(nClassStyle, m_hArrowCursor);
    if (!CreateEx(WS_EX_TOOLWINDOW, lpszClass, _T(""), WS_POPUP, CRect(0, 0, 0, 0), pSite, 0))
    {
        TRACE("The window selector could not be created.\n");
        return FALSE;
    }
    if (!Reposition())
    {
        DestroyWindow();
        return FALSE;
    }
    CRect rcSite;
    pSite->GetWindowRect(&rcSite);
    CPoint ptCenter = rcSite.CenterPoint();
    SetWindowPos(&CWnd::wndTopMost, ptCenter.x - m_szWindow.cx / 2, ptCenter.y - m_szWindow.cy / 2, m_szWindow.cx,
                 m_szWindow.cy, SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOOWNERZORDER);

    HWND hWndFocus = ::GetFocus();
    SetFocus();
    SetCapture();
    const BOOL bSiteEnabled = pSite->IsWindowEnabled();
    if (bSiteEnabled)
        pSite->EnableWindow(FALSE);

    int nResult = RunModalLoop(MLF_SHOWONIDLE);

    const BOOL bActive = ::GetActiveWindow() == m_hWnd;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    ShowWindow(SW_HIDE);
    if (bSiteEnabled)
        pSite->EnableWindow(TRUE);
    if (bActive)
        pSite->SetActiveWindow();

    CItem* pItem = m_pSelected;
    if (nResult == kResultAccept && pItem != NULL)
    {
        if (pItem->type == CItem::itemPane)
        {
            m_pManager->ShowPane(pItem->pPane, TRUE);
        }
        else
        {
            CMDIFrameWnd* pMDIFrame = DYNAMIC_DOWNCAST(CMDIFrameWnd, pSite);
            if (pItem->type == CItem::itemMDIChild && pMDIFrame != NULL && pMDIFrame->m_hWndMDIClient != NULL)
                ::SendMessage(pMDIFrame->m_hWndMDIClient, WM_MDIACTIVATE, (WPARAM)pItem->hWndFrame, 0);
            HWND hWndNow = ::GetFocus();
            if (hWndNow != pItem->hWndFrame && !::IsChild(pItem->hWndFrame, hWndNow))
                ::SetFocus(pItem->hWndFrame);
        }
    }
    else if (hWndFocus != NULL && ::IsWindow(hWndFocus))
    {
        ::SetFocus(hWndFocus);
    }
    DestroyWindow();
    return TRUE;
}

LRESULT CXTPDockingPaneWindowSelect::OnFloatStatus(WPARAM, LPARAM)
{
    // The selector disables its frame while it runs; unlike the frame's
    // floating windows it stays enabled, or it would lose the focus and
    // never see its keys.
    return 0;
}

void CXTPDockingPaneWindowSelect::OnKillFocus(CWnd* pNewWnd)
{
    if (ContinueModal())
        EndModalLoop(kResultCancel);
}

void CXTPDockingPaneWindowSelect::OnCaptureChanged(CWnd* pWnd)
{
    if (ContinueModal())
        EndModalLoop(kResultCancel);
}

void CXTPDockingPaneWindowSelect::OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (ContinueModal() && ::GetKeyState(VK_CONTROL) >= 0)
        EndModalLoop(kResultAccept);
}

void CXTPDockingPaneWindowSelect::OnSelectorKey(UINT nChar)
{
    const int n = (int)m_arrItems.GetSize();
    if (n == 0)
        return;
    const BOOL bShift = ::GetKeyState(VK_SHIFT) < 0;
    const int nCurrent = m_pSelected != NULL ? m_pSelected->nIndex : -1;
    int nNext = nCurrent;
    switch (nChar)
    {
    case VK_TAB:
        if (nCurrent < 0)
        {
            nNext = bShift ? n - 1 : 0;
        }
        else
        {
            // Round within the item's own group.
            const int nFirst = nCurrent < m_nFirstFile ? 0 : m_nFirstFile;
            const int nLast = nCurrent < m_nFirstFile ? m_nFirstFile - 1 : n - 1;
            const int nCount = nLast - nFirst + 1;
            nNext = nFirst + (nCurrent - nFirst + (bShift ? nCount - 1 : 1)) % nCount;
        }
        break;
    case VK_DOWN:
        nNext = nCurrent < 0 ? 0 : (nCurrent + 1) % n;
        break;
    case VK_UP:
        nNext = nCurrent < 0 ? n - 1 : (nCurrent + n - 1) % n;
        break;
    case VK_LEFT:
    case VK_RIGHT:
    {
        const int nColumns = (int)m_arrColumns.GetSize();
        if (nColumns < 2 || m_pSelected == NULL)
            return;
        int nColumn = (m_pSelected->nColumn + (nChar == VK_RIGHT ? 1 : nColumns - 1)) % nColumns;
        const CColumn& column = m_arrColumns[nColumn];
        nNext = std::min(column.nFirst + m_pSelected->nRow, column.nLast);
        break;
    }
    default:
        return;
    }
    SetSelected(m_arrItems[nNext]);
}

void CXTPDockingPaneWindowSelect::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (!ContinueModal())
        return;
    // The modifiers that opened the selector repeat while they are held.
    if (IsModifierKey(nChar))
        return;
    if (nChar == VK_TAB || nChar == VK_DOWN || nChar == VK_UP || nChar == VK_LEFT || nChar == VK_RIGHT)
        OnSelectorKey(nChar);
    else
        EndModalLoop(kResultAccept);
}

void CXTPDockingPaneWindowSelect::OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    OnKeyDown(nChar, nRepCnt, nFlags);
}

void CXTPDockingPaneWindowSelect::OnLButtonDown(UINT nFlags, CPoint point)
{
    CRect rcClient;
    GetClientRect(&rcClient);
    if (!rcClient.PtInRect(point))
    {
        if (ContinueModal())
            EndModalLoop(kResultCancel);
        return;
    }
    CItem* pItem = HitTest(point);
    if (pItem != NULL)
        SetSelected(pItem);
}

void CXTPDockingPaneWindowSelect::OnLButtonUp(UINT nFlags, CPoint point)
{
    CItem* pItem = HitTest(point);
    if (pItem == NULL)
        return;
    SetSelected(pItem);
    if (ContinueModal())
        EndModalLoop(kResultAccept);
}

void CXTPDockingPaneWindowSelect::OnMouseMove(UINT nFlags, CPoint point)
{
    ::SetCursor(HitTest(point) != NULL ? m_hHandCursor : m_hArrowCursor);
}

//////////////////////////////////////////////////////////////////////////
// Drawing

void CXTPDockingPaneWindowSelect::DrawItem(CDC* pDC, CItem* pItem)
{
    CRect rc(pItem->rc);
    if (pItem == m_pSelected)
    {
        pDC->FillSolidRect(rc, GetXTPSysColor(XPCOLOR_HIGHLIGHT));
        pDC->Draw3dRect(rc, GetXTPSysColor(XPCOLOR_HIGHLIGHT_BORDER), GetXTPSysColor(XPCOLOR_HIGHLIGHT_BORDER));
    }
    CXTPDockingPanePaintManager* pPaintManager = m_pManager->GetPaintManager();
    CSize szIcon = pPaintManager != NULL ? pPaintManager->GetPanelPaintManager()->m_szIcon : CSize(16, 16);
    CPoint ptIcon(rc.left + 2, rc.CenterPoint().y - szIcon.cy / 2);
    if (pItem->type == CItem::itemPane)
    {
        CXTPImageManagerIcon* pImage = pItem->pPane->GetIcon(szIcon.cx);
        if (pImage != NULL)
            pImage->Draw(pDC, ptIcon, pImage->GetIcon(), szIcon);
    }
    else
    {
        HICON hIcon = GetItemIcon(pItem);
        if (hIcon != NULL)
            ::DrawIconEx(pDC->GetSafeHdc(), ptIcon.x, ptIcon.y, hIcon, szIcon.cx, szIcon.cy, 0, NULL, DI_NORMAL);
    }
    CRect rcText(rc.left + 5 + szIcon.cx, rc.top, rc.right - 2, rc.bottom);
    CXTPFontDC font(pDC, &m_fnt, GetXTPSysColor(COLOR_BTNTEXT));
    pDC->DrawText(GetItemCaption(pItem), rcText, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
}

void CXTPDockingPaneWindowSelect::DrawSelector(CDC* pDC, CRect rc)
{
    const COLORREF clrFrame = GetXTPSysColor(XPCOLOR_HIGHLIGHT_BORDER);
    pDC->FillSolidRect(rc, GetXTPSysColor(COLOR_WINDOW));
    pDC->Draw3dRect(rc, clrFrame, clrFrame);
    pDC->SetBkMode(TRANSPARENT);
    const int h = m_nItemHeight;

    CXTPFontDC font(pDC, &m_fntBold, GetXTPSysColor(COLOR_BTNTEXT));
    CRect rcHeading(kToolLeft, 0, kToolRight, h + 12);
    pDC->DrawText(m_strActiveTools, rcHeading, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    rcHeading.SetRect(kFileLeft + 1, 0, rc.right - 4, h + 12);
    pDC->DrawText(m_strActiveFiles, rcHeading, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    font.ReleaseFont();

    for (int i = 0; i < m_arrItems.GetSize(); i++)
        DrawItem(pDC, m_arrItems[i]);

    // The description of the selection.
    CRect rcDescription(rc.left + 11, rc.bottom - 100, rc.right - 10, rc.bottom - 11);
    pDC->Draw3dRect(rcDescription, clrFrame, clrFrame);
    if (m_pSelected == NULL)
        return;
    CRect rcInside(rcDescription);
    rcInside.DeflateRect(13, 15);
    const int nThird = rcInside.Height() / 3;
    CRect rcLine(rcInside.left, rcInside.top, rcInside.right, rcInside.top + nThird);
    font.SetFont(&m_fntBold);
    pDC->DrawText(GetItemCaption(m_pSelected), rcLine, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    if (m_pSelected->type == CItem::itemPane)
        return;
    CDocument* pDocument = GetItemDocument(m_pSelected);
    if (pDocument == NULL)
        return;
    font.SetFont(&m_fnt);
    CString strType;
    if (pDocument->GetDocTemplate() != NULL)
        pDocument->GetDocTemplate()->GetDocString(strType, CDocTemplate::regFileTypeName);
    rcLine.OffsetRect(0, nThird);
    pDC->DrawText(strType, rcLine, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    rcLine.OffsetRect(0, nThird);
    pDC->DrawText(pDocument->GetPathName(), rcLine, DT_SINGLELINE | DT_VCENTER | DT_PATH_ELLIPSIS | DT_NOPREFIX);
}

void CXTPDockingPaneWindowSelect::OnPaint()
{
    CPaintDC dcPaint(this);
    CRect rc;
    GetClientRect(&rc);
    CXTPBufferDC dc(dcPaint.GetSafeHdc(), rc);
    DrawSelector(&dc, rc);
}
