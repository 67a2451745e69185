// The colour dialog.
#include "XTColorDialog.h"

#include "XTPColorManager.h"
#include "XTPResourceManager.h"
#include "controls_res.h"

#include <vector>

IMPLEMENT_DYNAMIC(CXTColorDialogTab, CXTPSheetTabCtrl)

/////////////////////////////////////////////////////////////////////////////
// CXTColorDialog

IMPLEMENT_DYNAMIC(CXTColorDialog, CPropertySheet)

BEGIN_MESSAGE_MAP(CXTColorDialog, CPropertySheet)
    ON_WM_CREATE()
    ON_WM_PAINT()
    ON_WM_PRINTCLIENT()
END_MESSAGE_MAP()

CXTColorDialog::CXTColorDialog(COLORREF clrNew, COLORREF clrCurrent, DWORD dwFlags, CWnd* pWndParent)
    : CPropertySheet(), m_dwStyle(dwFlags), m_rcNew(0, 0, 0, 0), m_rcCurrent(0, 0, 0, 0), m_clrNew(clrNew),
      m_clrCurrent(clrCurrent), m_pPageStandard(NULL), m_pPageCustom(NULL), m_bLaidOut(FALSE)
{
    CString strCaption;
    XTPResourceManager()->LoadString(&strCaption, XT_IDS_COLOR_CAPTION);
    Construct(strCaption, pWndParent);
    m_psh.dwFlags &= ~PSH_HASHELP;
    m_psh.dwFlags |= PSH_NOAPPLYNOW;

    m_pPageStandard = new CXTColorPageStandard(this);
    AddPage(m_pPageStandard);
    m_pPageCustom = new CXTColorPageCustom(this);
    AddPage(m_pPageCustom);
}

CXTColorDialog::~CXTColorDialog()
{
    if (m_hWnd != NULL && IsMapped())
        DestroyWindow();
    // The pages this dialog made and added.
    for (int i = GetPageCount() - 1; i >= 0; i--)
    {
        CPropertyPage* pPage = GetPage(i);
        m_pages.RemoveAt(i);
        if (pPage != NULL)
        {
            pPage->m_pSheet = NULL;
            delete pPage;
        }
    }
    m_pPageStandard = NULL;
    m_pPageCustom = NULL;
}

void CXTColorDialog::AddPage(CPropertyPage* pPage)
{
    if (pPage == NULL)
        return;
    XTPResourceManager()->LoadPageTemplate(pPage->m_psp);
    CPropertySheet::AddPage(pPage);
}

CString AFX_CDECL CXTColorDialog::FormatHex(COLORREF clr)
{
    const int r = GetRValue(clr), g = GetGValue(clr), b = GetBValue(clr);
    // A channel below 0x10 gets a leading 0; a small red a blank before it.
    CString strHex;
    strHex.Format("Hex=%s%X%s%X%s%X", r < 0x10 ? " 0" : "", r, g < 0x10 ? "0" : "", g, b < 0x10 ? "0" : "", b);
    return strHex;
}

void CXTColorDialog::SetCurrentColor(COLORREF clr)
{
    m_clrCurrent = clr;
    if (m_hWnd != NULL)
        InvalidateRect(m_rcCurrent, FALSE);
}

void CXTColorDialog::FillNewColor()
{
    if (m_hWnd == NULL || !IsWindowVisible() || m_rcNew.IsRectEmpty())
        return;
    CClientDC dc(this);
    dc.FillSolidRect(m_rcNew, m_clrNew);
}

void CXTColorDialog::SetNewColor(COLORREF clr, BOOL bNotify)
{
    m_clrNew = clr;
    if (m_hWnd != NULL && IsWindowVisible())
    {
        FillNewColor();
        if ((m_dwStyle & CPS_XT_SHOWHEXVALUE) && m_editHex.m_hWnd != NULL)
            m_editHex.SetWindowText(FormatHex(clr));
    }
    if (!bNotify || m_hWnd == NULL || GetTabControl() == NULL || GetTabControl()->m_hWnd == NULL)
        return;
    // Pages never shown have no window yet: they take the colour when shown.
    for (int i = 0; i < GetPageCount(); i++)
    {
        CPropertyPage* pPage = GetPage(i);
        if (pPage != NULL && pPage->m_hWnd != NULL && ::IsWindow(pPage->m_hWnd))
            pPage->SendMessage(WM_XT_UPDATECOLOR, (WPARAM)clr, 0);
    }
}

int CXTColorDialog::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CPropertySheet::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (m_dwStyle & CPS_XT_SHOWHEXVALUE)
    {
        if (!m_editHex.CreateEx(WS_EX_CLIENTEDGE, "EDIT", FormatHex(m_clrNew), WS_CHILD | WS_VISIBLE | ES_READONLY,
                                CRect(0, 0, 0, 0), this, XT_IDC_EDIT_HEX))
        {
            TRACE("CXTColorDialog: cannot create the hex edit\n");
            return -1;
        }
    }
    if (m_pPageStandard != NULL)
        m_pPageStandard->m_colorHex.SetColor(m_clrNew);
    return 0;
}

BOOL CXTColorDialog::OnInitDialog()
{
    BOOL bResult = CPropertySheet::OnInitDialog();
    m_wndTab.AttachToSheet(this);
    LayoutControls();
    SetActivePage(0);
    if (m_editHex.m_hWnd != NULL)
    {
        m_editHex.SetFont(GetFont());
        // The edit is only as wide as Cancel: without the font's margins the
        // whole "Hex=RRGGBB" text fits it.
        m_editHex.SendMessage(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(0, 0));
    }
    return bResult;
}

void CXTColorDialog::LayoutControls()
{
    if (m_bLaidOut)
        return;
    CWnd* pOK = GetDlgItem(IDOK);
    CWnd* pCancel = GetDlgItem(IDCANCEL);
    CTabCtrl* pTab = GetTabControl();
    if (pOK == NULL || pCancel == NULL || pTab == NULL || pTab->m_hWnd == NULL)
        return;
    m_bLaidOut = TRUE;

    CRect rcOK, rcCancel, rcTab;
    pOK->GetWindowRect(&rcOK);
    ScreenToClient(&rcOK);
    pCancel->GetWindowRect(&rcCancel);
    ScreenToClient(&rcCancel);
    pTab->GetWindowRect(&rcTab);
    ScreenToClient(&rcTab);

    // The sheet is made as wide as its pages; the buttons go into a column
    // beside them, so the sheet first grows by what the column needs.
    CRect rcPage(rcTab);
    pTab->AdjustRect(FALSE, &rcPage);
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    const int nTabMargin = rcTab.right - rcPage.right;
    const int nNeeded = rcPage.right + nTabMargin + 5 + 15 - rcCancel.left;
    if (nNeeded > 0)
    {
        rcCancel.OffsetRect(nNeeded, 0);
        rcOK.OffsetRect(nNeeded, 0);
        rcWindow.right += nNeeded;
    }

    // 1. Cancel 15 pixels to the left; 2. the tab control ends 5 pixels
    // before it and 15 pixels above its old top (never over its pages).
    rcCancel.OffsetRect(-15, 0);
    rcTab.right = rcCancel.left - 5;
    rcTab.bottom = rcCancel.top - 15;
    CRect rcPageNow(rcTab);
    pTab->AdjustRect(FALSE, &rcPageNow);
    if (rcPageNow.bottom < rcPage.bottom)
        rcTab.bottom += rcPage.bottom - rcPageNow.bottom;
    pTab->MoveWindow(rcTab);

    // 3. OK beside the first tab's header, Cancel 5 pixels below it.
    CRect rcItem(0, 0, 0, 0);
    pTab->GetItemRect(0, &rcItem);
    const int cxButton = rcCancel.Width(), cyOK = rcOK.Height(), cyCancel = rcCancel.Height();
    rcOK = CRect(CPoint(rcCancel.left, rcTab.top + rcItem.Height() + 1), CSize(cxButton, cyOK));
    rcCancel = CRect(CPoint(rcCancel.left, rcOK.bottom + 5), CSize(cxButton, cyCancel));
    pOK->MoveWindow(rcOK);
    pCancel->MoveWindow(rcCancel);

    // 4. The hex edit under Cancel.
    if (m_editHex.m_hWnd != NULL)
        m_editHex.MoveWindow(CRect(rcCancel.left, rcCancel.bottom + 5, rcCancel.right, rcCancel.bottom + 5 + 18));

    // 5. The sheet loses 15 pixels on the right and ends 10 below the tabs.
    CRect rcClient;
    GetClientRect(&rcClient);
    const int cyFrame = rcWindow.Height() - rcClient.Height();
    CPoint ptClient(0, 0);
    ClientToScreen(&ptClient);
    const int cyTop = ptClient.y - rcWindow.top;
    rcWindow.right -= 15;
    rcWindow.bottom = rcWindow.top + cyTop + rcTab.bottom + 10 + (cyFrame - cyTop);
    SetWindowPos(NULL, 0, 0, rcWindow.Width(), rcWindow.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    // The pages sit in the tab control's display area.
    CRect rcDisplay(rcTab);
    pTab->AdjustRect(FALSE, &rcDisplay);
    for (int i = 0; i < GetPageCount(); i++)
    {
        CPropertyPage* pPage = GetPage(i);
        if (pPage != NULL && pPage->m_hWnd != NULL)
            pPage->SetWindowPos(NULL, rcDisplay.left, rcDisplay.top, 0, 0,
                                SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

CRect CXTColorDialog::GetSwatchRect()
{
    CRect rcBox(0, 0, 0, 0);
    CWnd* pCancel = GetDlgItem(IDCANCEL);
    if (pCancel == NULL)
        return rcBox;
    CRect rcCancel, rcClient;
    pCancel->GetWindowRect(&rcCancel);
    ScreenToClient(&rcCancel);
    GetClientRect(&rcClient);
    rcBox.left = rcCancel.left;
    rcBox.right = rcCancel.right;
    rcBox.bottom = rcClient.bottom - 32;
    rcBox.top = rcBox.bottom - 66;
    return rcBox;
}

void CXTColorDialog::OnPaint()
{
    CPaintDC dc(this);
    DrawSwatch(&dc);
}

void CXTColorDialog::OnPrintClient(CDC* pDC, UINT)
{
    Default();
    // The tab control asks for the sheet's background under each of its
    // tabs, clipped to that tab: the swatch is drawn only where it shows.
    CRect rcSwatch = GetSwatchRect();
    rcSwatch.InflateRect(3, 22 + 3);
    if (pDC->RectVisible(rcSwatch))
        DrawSwatch(pDC);
}

void CXTColorDialog::DrawSwatch(CDC* pDC)
{
    CDC& dc = *pDC;
    const int nOldMode = dc.SetBkMode(TRANSPARENT);
    const COLORREF clrOldText = dc.SetTextColor(GetXTPSysColor(COLOR_WINDOWTEXT));
    CFont* pOldFont = dc.SelectObject(GetFont());

    CRect rcBox = GetSwatchRect();
    if (m_dwStyle & CPS_XT_SHOW3DSELECTION)
    {
        CRect rcOuter(rcBox);
        rcOuter.InflateRect(3, 3);
        dc.Draw3dRect(rcOuter, GetXTPSysColor(COLOR_3DHILIGHT), GetXTPSysColor(COLOR_3DDKSHADOW));
        dc.Draw3dRect(rcBox, GetXTPSysColor(COLOR_3DSHADOW), GetXTPSysColor(COLOR_3DHILIGHT));
    }
    else
    {
        dc.Draw3dRect(rcBox, GetXTPSysColor(COLOR_WINDOWFRAME), GetXTPSysColor(COLOR_WINDOWFRAME));
    }

    CString strNew, strCurrent;
    XTPResourceManager()->LoadString(&strNew, XT_IDS_NEW);
    XTPResourceManager()->LoadString(&strCurrent, XT_IDS_CURRENT);
    CRect rcNewText(rcBox.left, rcBox.top - 22, rcBox.right, rcBox.top);
    CRect rcCurrentText(rcBox.left, rcBox.bottom, rcBox.right, rcBox.bottom + 22);
    dc.DrawText(strNew, rcNewText, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    dc.DrawText(strCurrent, rcCurrentText, DT_CENTER | DT_VCENTER | DT_SINGLELINE);

    rcBox.DeflateRect(1, 1);
    m_rcNew = rcBox;
    m_rcNew.bottom = rcBox.top + rcBox.Height() / 2;
    m_rcCurrent = rcBox;
    m_rcCurrent.top = m_rcNew.bottom;
    dc.FillSolidRect(m_rcNew, m_clrNew);
    dc.FillSolidRect(m_rcCurrent, m_clrCurrent);
    dc.SelectObject(pOldFont);
    dc.SetTextColor(clrOldText);
    dc.SetBkMode(nOldMode);
}
