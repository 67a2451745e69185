// The tab control of a property sheet, painted around the current page only.
#include "XTPSheetTabCtrl.h"

#include <vector>

IMPLEMENT_DYNAMIC(CXTPSheetTabCtrl, CTabCtrl)

BEGIN_MESSAGE_MAP(CXTPSheetTabCtrl, CTabCtrl)
    ON_WM_PAINT()
END_MESSAGE_MAP()

BOOL CXTPSheetTabCtrl::AttachToSheet(CPropertySheet* pSheet)
{
    if (m_hWnd != NULL)
        return TRUE;
    HWND hTab = pSheet != NULL && pSheet->GetSafeHwnd() != NULL
                    ? (HWND)pSheet->SendMessage(PSM_GETTABCONTROL, 0, 0)
                    : NULL;
    if (hTab == NULL || !SubclassWindow(hTab))
    {
        TRACE("CXTPSheetTabCtrl: cannot subclass the tab control\n");
        return FALSE;
    }
    return TRUE;
}

CRect CXTPSheetTabCtrl::GetPageRect() const
{
    CRect rcPage(0, 0, 0, 0);
    HWND hSheet = ::GetParent(m_hWnd);
    HWND hPage = hSheet != NULL ? (HWND)::SendMessage(hSheet, PSM_GETCURRENTPAGEHWND, 0, 0) : NULL;
    if (hPage == NULL || !::IsWindowVisible(hPage))
        return rcPage;
    ::GetWindowRect(hPage, &rcPage);
    ::MapWindowPoints(NULL, m_hWnd, (LPPOINT)&rcPage, 2);
    CRect rcClient;
    GetClientRect(&rcClient);
    rcPage.IntersectRect(rcPage, rcClient);
    return rcPage;
}

void CXTPSheetTabCtrl::OnPaint()
{
    CPaintDC dc(this);
    CRect rcPaint(dc.m_ps.rcPaint);
    if (rcPaint.IsRectEmpty())
        return;
    // What needs painting, less what the page paints over.
    CRgn rgn;
    rgn.CreateRectRgnIndirect(rcPaint);
    const CRect rcPage = GetPageRect();
    if (!rcPage.IsRectEmpty())
    {
        CRgn rgnPage;
        rgnPage.CreateRectRgnIndirect(rcPage);
        rgn.CombineRgn(&rgn, &rgnPage, RGN_DIFF);
    }
    // The stretch only covers the clip box: one box per rectangle of the
    // frame around the page keeps it to the strips that show.
    const DWORD cbData = ::GetRegionData((HRGN)rgn.m_hObject, 0, NULL);
    std::vector<BYTE> data(cbData);
    RGNDATA* pData = (RGNDATA*)data.data();
    if (cbData == 0 || ::GetRegionData((HRGN)rgn.m_hObject, cbData, pData) != cbData)
    {
        TRACE("CXTPSheetTabCtrl: cannot split the paint region\n");
        SendMessage(WM_PRINTCLIENT, (WPARAM)dc.m_hDC, PRF_CLIENT);
        return;
    }
    const RECT* pRects = (const RECT*)pData->Buffer;
    for (DWORD i = 0; i < pData->rdh.nCount; i++)
    {
        const int nSaved = dc.SaveDC();
        dc.IntersectClipRect(&pRects[i]);
        SendMessage(WM_PRINTCLIENT, (WPARAM)dc.m_hDC, PRF_CLIENT);
        dc.RestoreDC(nSaved);
    }
}
