// The puzzle preview control.
#include "HTPreviewCtrl.h"

#include "HTSquarePainter.h"

IMPLEMENT_DYNAMIC(CHTPreviewCtrl, CStatic)

BEGIN_MESSAGE_MAP(CHTPreviewCtrl, CStatic)
    ON_WM_PAINT()
END_MESSAGE_MAP()

CHTPreviewCtrl::CHTPreviewCtrl() : m_pContainer(NULL), m_bPlaceholder(FALSE)
{
}

CHTPreviewCtrl::~CHTPreviewCtrl()
{
}

void CHTPreviewCtrl::SetContainer(const CHTDataContainer* pContainer, BOOL bPlaceholder)
{
    m_pContainer = pContainer;
    m_bPlaceholder = (BYTE)(bPlaceholder ? 1 : 0);
    if (::IsWindow(m_hWnd))
        Invalidate(TRUE);
}

BOOL AFX_CDECL CHTPreviewCtrl::CalcLayout(int nWidth, int nHeight, int nColumns, int nRows, int& nSquareSize,
                                          int& nLeft, int& nTop)
{
    nSquareSize = 0;
    nLeft = 0;
    nTop = 0;
    if (nColumns < 1 || nRows < 1 || nWidth < 1 || nHeight < 1)
        return FALSE;
    const int nMarginX = nWidth / 5;
    const int nMarginY = nHeight / 5;
    const int nAvailX = nWidth - nMarginX;
    const int nAvailY = nHeight - nMarginY;
    const int nByWidth = nAvailX / nColumns;
    const int nByHeight = nAvailY / nRows;
    nSquareSize = nByWidth < nByHeight ? nByWidth : nByHeight;
    nLeft = (nAvailX - nSquareSize * nColumns) / 2 + nMarginX / 2;
    nTop = (nAvailY - nSquareSize * nRows) / 2 + nMarginY / 2;
    return nSquareSize >= 1;
}

void CHTPreviewCtrl::DrawPreview(CDC* pDC, const CRect& rcClient)
{
    if (m_pContainer == NULL)
        return;
    int nSquareSize, nLeft, nTop;
    if (!CalcLayout(rcClient.Width(), rcClient.Height(), m_pContainer->m_nColumns, m_pContainer->m_nRows,
                    nSquareSize, nLeft, nTop))
        return;
    DrawBoard(m_pContainer, pDC, rcClient, nSquareSize, htrmPreview, nLeft, nTop, m_bPlaceholder);
}

void CHTPreviewCtrl::OnPaint()
{
    if (m_pContainer == NULL)
    {
        Default();
        return;
    }
    CPaintDC dc(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    DrawPreview(&dc, rcClient);
}
