// The standard colour page and its hexagon picker.
#include "XTColorPageStandard.h"

#include "XTColorDialog.h"
#include "XTPColorManager.h"
#include "controls_res.h"

#include <vector>

namespace
{
// The honeycomb's colours, row by row, as 0xRRGGBB.
const DWORD kHoneycomb[127] = {
    0x003366, 0x336699, 0x3366CC, 0x003399, 0x000099, 0x0000CC, 0x000066,
    0x006666, 0x006699, 0x0099CC, 0x0066CC, 0x0033CC, 0x0000FF, 0x3333FF, 0x333399,
    0x008080, 0x009999, 0x33CCCC, 0x00CCFF, 0x0099FF, 0x0066FF, 0x3366FF, 0x3333CC, 0x666699,
    0x339966, 0x00CC99, 0x00FFCC, 0x00FFFF, 0x33CCFF, 0x3399FF, 0x6699FF, 0x6666FF, 0x6600FF, 0x6600CC,
    0x339933, 0x00CC66, 0x00FF99, 0x66FFCC, 0x66FFFF, 0x66CCFF, 0x99CCFF, 0x9999FF, 0x9966FF, 0x9933FF, 0x9900FF,
    0x006600, 0x00CC00, 0x00FF00, 0x66FF99, 0x99FFCC, 0xCCFFFF, 0xCCECFF, 0xCCCCFF, 0xCC99FF, 0xCC66FF, 0xCC00FF,
    0x9900CC,
    0x003300, 0x008000, 0x33CC33, 0x66FF66, 0x99FF99, 0xCCFFCC, 0xFFFFFF, 0xFFCCFF, 0xFF99FF, 0xFF66FF, 0xFF00FF,
    0xCC00CC, 0x660066,
    0x336600, 0x009900, 0x66FF33, 0x99FF66, 0xCCFF99, 0xFFFFCC, 0xFFCCCC, 0xFF99CC, 0xFF66CC, 0xFF33CC, 0xCC0099,
    0x800080,
    0x333300, 0x669900, 0x99FF33, 0xCCFF66, 0xFFFF99, 0xFFCC99, 0xFF9999, 0xFF6699, 0xFF3399, 0xCC3399, 0x990099,
    0x666633, 0x99CC00, 0xCCFF33, 0xFFFF66, 0xFFCC66, 0xFF9966, 0xFF7C80, 0xFF0066, 0xD60093, 0x993366,
    0x808000, 0xCCCC00, 0xFFFF00, 0xFFCC00, 0xFF9933, 0xFF6600, 0xFF5050, 0xCC0066, 0x660033,
    0x996633, 0xCC9900, 0xFF9900, 0xCC6600, 0xFF3300, 0xFF0000, 0xCC0000, 0x990033,
    0x663300, 0x996600, 0xCC3300, 0x993300, 0x990000, 0x800000, 0xA50021};

// The greys of the two short rows, then the large white and black cells.
const DWORD kGreys[17] = {0xF8F8F8, 0xDDDDDD, 0xB2B2B2, 0x808080, 0x5F5F5F, 0x333333, 0x1C1C1C, 0x080808,
                          0xEAEAEA, 0xC0C0C0, 0x969696, 0x777777, 0x4D4D4D, 0x292929, 0x111111,
                          0xFFFFFF, 0x000000};

const int kRowLength[13] = {7, 8, 9, 10, 11, 12, 13, 12, 11, 10, 9, 8, 7};

// The chain of grey and large cells: left and up lead back, right and down on.
const int kGreyChain[17] = {142, 127, 135, 128, 136, 129, 137, 130, 138, 131, 139, 132, 140, 133, 141, 134, 143};

COLORREF FromHex(DWORD dw)
{
    return RGB((dw >> 16) & 0xFF, (dw >> 8) & 0xFF, dw & 0xFF);
}

// Rows covered by each column of a cell, relative to the anchor's y: the
// column's first and last row offsets.
struct ColumnSpan
{
    int nTop;
    int nBottom;
};

const ColumnSpan kSmallShape[14] = {{0, 8},   {0, 8},   {-1, 9},  {-1, 9},  {-2, 10}, {-2, 10}, {-3, 11},
                                    {-3, 11}, {-3, 11}, {-2, 10}, {-2, 10}, {-1, 9},  {-1, 9},  {0, 8}};
const ColumnSpan kLargeShape[29] = {{0, 16},  {0, 16},  {-1, 17}, {-1, 17}, {-2, 18}, {-2, 18}, {-3, 19}, {-4, 20},
                                    {-4, 20}, {-5, 21}, {-5, 21}, {-6, 22}, {-6, 22}, {-7, 23}, {-7, 23}, {-7, 23},
                                    {-6, 22}, {-6, 22}, {-5, 21}, {-5, 21}, {-4, 20}, {-4, 20}, {-3, 19}, {-2, 18},
                                    {-2, 18}, {-1, 17}, {-1, 17}, {0, 16},  {0, 16}};

// One pixel of a selection outline, relative to the cell's anchor.
struct OutlinePixel
{
    int dx;
    int dy;
    bool bWhite;
};

// The outline of a cell shape as three nested rings: black two pixels
// outside the edge, white on the edge and one pixel outside it, black one
// pixel inside it.
std::vector<OutlinePixel> MakeOutline(const ColumnSpan* pShape, int nColumns)
{
    const int nMargin = 3;
    const int cx = nColumns + 2 * nMargin, yTop = -8 - nMargin, cy = 24 - yTop + nMargin + 1;
    std::vector<int> grid((size_t)cx * cy, 0);   // 1 cell, 2 outer white, 3 outer black
    auto at = [&](int x, int y) -> int& { return grid[(size_t)(y - yTop) * cx + (x + nMargin)]; };
    auto inside = [&](int x, int y) {
        return x >= -nMargin && x < nColumns + nMargin && y >= yTop && y < yTop + cy;
    };
    for (int x = 0; x < nColumns; x++)
        for (int y = pShape[x].nTop; y <= pShape[x].nBottom; y++)
            at(x, y) = 1;
    for (int nRing = 2; nRing <= 3; nRing++)
    {
        for (int x = -nMargin; x < nColumns + nMargin; x++)
            for (int y = yTop; y < yTop + cy; y++)
            {
                if (at(x, y) != 0)
                    continue;
                for (int dx = -1; dx <= 1 && at(x, y) == 0; dx++)
                    for (int dy = -1; dy <= 1; dy++)
                        if (inside(x + dx, y + dy) && at(x + dx, y + dy) > 0 && at(x + dx, y + dy) < nRing)
                        {
                            at(x, y) = -nRing;   // marked this pass
                            break;
                        }
            }
        for (int& n : grid)
            if (n < 0)
                n = -n;
    }
    std::vector<OutlinePixel> pixels;
    for (int x = -nMargin; x < nColumns + nMargin; x++)
        for (int y = yTop; y < yTop + cy; y++)
        {
            const int n = at(x, y);
            if (n == 2 || n == 3)
            {
                pixels.push_back({x, y, n == 2});
                continue;
            }
            if (n != 1)
                continue;
            // The edge (a side neighbour outside the cell) is white; the
            // pixels just inside it black.
            auto outside = [&](int px, int py) { return !inside(px, py) || at(px, py) != 1; };
            const bool bEdge = outside(x - 1, y) || outside(x + 1, y) || outside(x, y - 1) || outside(x, y + 1);
            if (bEdge)
            {
                pixels.push_back({x, y, true});
                continue;
            }
            bool bNextToEdge = false;
            for (int dx = -1; dx <= 1 && !bNextToEdge; dx++)
                for (int dy = -1; dy <= 1; dy++)
                {
                    const int px = x + dx, py = y + dy;
                    if (outside(px, py))
                        continue;
                    if (outside(px - 1, py) || outside(px + 1, py) || outside(px, py - 1) || outside(px, py + 1))
                    {
                        bNextToEdge = true;
                        break;
                    }
                }
            if (bNextToEdge)
                pixels.push_back({x, y, false});
        }
    return pixels;
}

const std::vector<OutlinePixel>& SmallOutline()
{
    static const std::vector<OutlinePixel> s_pixels = MakeOutline(kSmallShape, 14);
    return s_pixels;
}

const std::vector<OutlinePixel>& LargeOutline()
{
    static const std::vector<OutlinePixel> s_pixels = MakeOutline(kLargeShape, 29);
    return s_pixels;
}

HEXCOLOR_CELL* NewCell(CPoint ptAnchor, BOOL bSmall, COLORREF clr)
{
    const ColumnSpan* pShape = bSmall ? kSmallShape : kLargeShape;
    const int nColumns = bSmall ? 14 : 29;
    HEXCOLOR_CELL* pCell = new HEXCOLOR_CELL;
    pCell->left = pCell->up = pCell->right = pCell->down = -1;
    pCell->bSmall = bSmall ? 1 : 0;
    pCell->clr = clr;
    pCell->nPoints = bSmall ? 168 : 691;
    pCell->pPoints = new CPoint[pCell->nPoints];
    int n = 0;
    pCell->pPoints[n++] = ptAnchor;
    for (int x = 0; x < nColumns; x++)
        for (int y = pShape[x].nTop; y <= pShape[x].nBottom; y++)
            if (x != 0 || y != 0)
                pCell->pPoints[n++] = CPoint(ptAnchor.x + x, ptAnchor.y + y);
    ASSERT(n == pCell->nPoints);
    return pCell;
}
} // namespace

COLORREF AFX_CDECL CXTColorHex::GetStandardColor(int nIndex)
{
    if (nIndex < 0 || nIndex >= kCellCount)
        return (COLORREF)-1;
    return nIndex < 127 ? FromHex(kHoneycomb[nIndex]) : FromHex(kGreys[nIndex - 127]);
}

void AFXAPI XTColorPickerEndDialog(CWnd* pPicker)
{
    if (pPicker == NULL || pPicker->m_hWnd == NULL)
        return;
    // The picker's parent is the page; the page's parent the dialog.
    HWND hPage = ::GetParent(pPicker->m_hWnd);
    HWND hDialog = hPage != NULL ? ::GetParent(hPage) : NULL;
    CWnd* pDialog = hDialog != NULL ? CWnd::FromHandlePermanent(hDialog) : NULL;
    if (CPropertySheet* pSheet = DYNAMIC_DOWNCAST(CPropertySheet, pDialog))
        pSheet->EndDialog(IDOK);
    else if (CDialog* pDlg = DYNAMIC_DOWNCAST(CDialog, pDialog))
        pDlg->EndDialog(IDOK);
    else if (hDialog != NULL)
        ::EndDialog(hDialog, IDOK);
}

HBITMAP AFXAPI XTColorCreatePictureDib(int cx, int cy, void** ppvBits)
{
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = cx;
    bmi.bmiHeader.biHeight = -cy;   // top-down: row 0 first
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    *ppvBits = NULL;
    return ::CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, ppvBits, NULL, 0);
}

CXTColorPaintBuffer::CXTColorPaintBuffer(CWnd* pWnd, CDC* pTarget)
    : m_pTarget(pTarget), m_rcClient(0, 0, 0, 0), m_pOld(NULL), m_bReady(FALSE)
{
    pWnd->GetClientRect(&m_rcClient);
    if (m_rcClient.IsRectEmpty())
        return;
    if (!m_dc.CreateCompatibleDC(pTarget) ||
        !m_bmp.CreateCompatibleBitmap(pTarget, m_rcClient.Width(), m_rcClient.Height()))
        return;
    m_pOld = m_dc.SelectObject(&m_bmp);
    m_bReady = TRUE;
}

CXTColorPaintBuffer::~CXTColorPaintBuffer()
{
    if (!m_bReady)
        return;
    m_pTarget->BitBlt(0, 0, m_rcClient.Width(), m_rcClient.Height(), &m_dc, 0, 0, SRCCOPY);
    m_dc.SelectObject(m_pOld);
}

/////////////////////////////////////////////////////////////////////////////
// CXTColorHex

IMPLEMENT_DYNAMIC(CXTColorHex, CStatic)

BEGIN_MESSAGE_MAP(CXTColorHex, CStatic)
    ON_WM_CREATE()
    ON_WM_PAINT()
    ON_WM_PRINTCLIENT()
    ON_WM_ERASEBKGND()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_MOUSEMOVE()
    ON_WM_GETDLGCODE()
    ON_WM_SIZE()
END_MESSAGE_MAP()

CXTColorHex::CXTColorHex()
    : m_bPreSubclassInit(TRUE), m_bTracking(FALSE), m_bSmallCell(TRUE), m_ptSelected(0, 0),
      m_clrColor((COLORREF)-1), m_listCells(10), m_hOldBitmap(NULL), m_sizeLayout(0, 0)
{
}

CXTColorHex::~CXTColorHex()
{
    FreeCells();
    if (m_dcHex.GetSafeHdc() != NULL)
    {
        ::SelectObject(m_dcHex.m_hDC, m_hOldBitmap);
        m_dcHex.DeleteDC();
    }
}

void CXTColorHex::FreeCells()
{
    // The control is the cells' one owner: each cell and its points go once,
    // and the list is left empty.
    while (!m_listCells.IsEmpty())
    {
        HEXCOLOR_CELL* pCell = m_listCells.RemoveHead();
        delete[] pCell->pPoints;
        delete pCell;
    }
    m_arrCells.RemoveAll();
    m_sizeLayout = CSize(0, 0);
}

BOOL CXTColorHex::PreCreateWindow(CREATESTRUCT& cs)
{
    m_bPreSubclassInit = FALSE;
    return CStatic::PreCreateWindow(cs);
}

void CXTColorHex::PreSubclassWindow()
{
    CStatic::PreSubclassWindow();
    if (m_bPreSubclassInit)
        SetNotify();
}

int CXTColorHex::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CStatic::OnCreate(lpCreateStruct) == -1)
        return -1;
    SetNotify();
    return 0;
}

BOOL CXTColorHex::SetNotify()
{
    if (m_hWnd == NULL)
        return FALSE;
    ModifyStyle(0, SS_NOTIFY);
    return TRUE;
}

BOOL CXTColorHex::IsStandardColor(COLORREF clr)
{
    for (int i = 0; i < kCellCount; i++)
        if (GetStandardColor(i) == clr)
            return TRUE;
    return FALSE;
}

void CXTColorHex::LayoutCells()
{
    CRect rcClient(0, 0, 0, 0);
    if (m_hWnd != NULL)
        GetClientRect(&rcClient);
    if (!m_listCells.IsEmpty() && m_sizeLayout == rcClient.Size())
        return;
    FreeCells();
    m_sizeLayout = rcClient.Size();
    const int x0 = (rcClient.Width() - 182) / 2;

    int nIndex = 0;
    for (int r = 0; r < 13; r++)
    {
        const int nLength = kRowLength[r];
        const int xFirst = r <= 6 ? x0 + 42 - 7 * r : x0 + 7 * (r - 6);
        const int y = 3 + 12 * r;
        for (int k = 0; k < nLength; k++, nIndex++)
        {
            HEXCOLOR_CELL* pCell = NewCell(CPoint(xFirst + 14 * k, y), TRUE, FromHex(kHoneycomb[nIndex]));
            pCell->left = nIndex - 1;
            pCell->right = nIndex + 1;
            // Up leads up-left, down leads down-right. The first cell of a
            // growing row has nothing up-left and the last cell of a
            // shrinking row nothing down-right: no neighbour there (rather
            // than a cell two rows away).
            if (r == 0 || (r <= 6 && k == 0))
                pCell->up = -1;
            else
                pCell->up = r <= 6 ? nIndex - nLength : nIndex - (nLength + 1);
            if (r <= 5)
                pCell->down = nIndex + nLength + 1;
            else if (r <= 11)
                pCell->down = k == nLength - 1 ? -1 : nIndex + nLength;
            else
                pCell->down = nIndex + 1;
            m_listCells.AddTail(pCell);
            m_arrCells.Add(pCell);
        }
    }
    m_arrCells[119]->down = 142;
    m_arrCells[126]->right = 142;
    m_arrCells[126]->down = 142;

    for (int k = 0; k < 8; k++)
    {
        HEXCOLOR_CELL* pCell = NewCell(CPoint(x0 + 35 + 14 * k, 172), TRUE, FromHex(kGreys[k]));
        m_listCells.AddTail(pCell);
        m_arrCells.Add(pCell);
    }
    for (int k = 0; k < 7; k++)
    {
        HEXCOLOR_CELL* pCell = NewCell(CPoint(x0 + 42 + 14 * k, 184), TRUE, FromHex(kGreys[8 + k]));
        m_listCells.AddTail(pCell);
        m_arrCells.Add(pCell);
    }
    HEXCOLOR_CELL* pWhite = NewCell(CPoint(x0, 172), FALSE, RGB(255, 255, 255));
    m_listCells.AddTail(pWhite);
    m_arrCells.Add(pWhite);
    HEXCOLOR_CELL* pBlack = NewCell(CPoint(x0 + 153, 172), FALSE, RGB(0, 0, 0));
    m_listCells.AddTail(pBlack);
    m_arrCells.Add(pBlack);

    for (int i = 0; i < 17; i++)
    {
        HEXCOLOR_CELL* pCell = m_arrCells[kGreyChain[i]];
        pCell->left = pCell->up = i == 0 ? 126 : kGreyChain[i - 1];
        pCell->right = pCell->down = i == 16 ? -1 : kGreyChain[i + 1];
    }

    // The selected colour's cell gives the selected anchor (the last cell
    // of the colour, as SetColor has it).
    for (int i = 0; i < kCellCount; i++)
        if (m_arrCells[i]->clr == m_clrColor)
        {
            m_ptSelected = m_arrCells[i]->pPoints[0];
            m_bSmallCell = m_arrCells[i]->bSmall;
        }
}

int CXTColorHex::GetCellCount()
{
    LayoutCells();
    return (int)m_arrCells.GetSize();
}

const HEXCOLOR_CELL* CXTColorHex::GetCell(int nIndex)
{
    LayoutCells();
    if (nIndex < 0 || nIndex >= (int)m_arrCells.GetSize())
        return NULL;
    return m_arrCells[nIndex];
}

void CXTColorHex::SetColor(COLORREF clr)
{
    m_clrColor = clr;
    if (m_listCells.IsEmpty())
        return;
    for (int i = (int)m_arrCells.GetSize() - 1; i >= 0; i--)
        if (m_arrCells[i]->clr == clr)
        {
            m_ptSelected = m_arrCells[i]->pPoints[0];
            m_bSmallCell = m_arrCells[i]->bSmall;
            break;
        }
}

int CXTColorHex::CellFromPoint(CPoint pt)
{
    LayoutCells();
    for (int i = 0; i < (int)m_arrCells.GetSize(); i++)
    {
        const HEXCOLOR_CELL* pCell = m_arrCells[i];
        const CPoint& ptAnchor = pCell->pPoints[0];
        // Outside the cell's box: not in its points.
        if (pt.x < ptAnchor.x || pt.x >= ptAnchor.x + (pCell->bSmall ? 14 : 29) || pt.y < ptAnchor.y - 7 ||
            pt.y > ptAnchor.y + 23)
            continue;
        for (int n = 0; n < pCell->nPoints; n++)
            if (pCell->pPoints[n] == pt)
                return i;
    }
    return -1;
}

COLORREF CXTColorHex::HitTest(CPoint pt)
{
    const int nCell = CellFromPoint(pt);
    if (nCell < 0)
        return (COLORREF)-1;
    const HEXCOLOR_CELL* pCell = m_arrCells[nCell];
    m_ptSelected = pCell->pPoints[0];
    m_bSmallCell = pCell->bSmall;
    return pCell->clr;
}

void CXTColorHex::SelectAt(CPoint pt)
{
    const COLORREF clr = HitTest(pt);
    // Between the cells (a drag across the gaps) nothing changes: no colour
    // -1 reaches the page or the dialog.
    if (clr == (COLORREF)-1 || clr == m_clrColor)
        return;
    m_clrColor = clr;
    if (m_hWnd == NULL)
        return;
    CWnd* pParent = GetParent();
    if (pParent != NULL)
        pParent->SendMessage(WM_XT_UPDATECOLOR, (WPARAM)clr, 0);
    CClientDC dc(this);
    DrawPicture(&dc);
}

int CXTColorHex::GetCurrentCell()
{
    LayoutCells();
    // White has two cells: the one selected last (small or large).
    if (m_clrColor == RGB(255, 255, 255))
        return m_bSmallCell ? kWhiteSmall : kWhiteLarge;
    for (int i = 0; i < (int)m_arrCells.GetSize(); i++)
        if (m_arrCells[i]->clr == m_clrColor)
            return i;
    return kBlack;
}

BOOL CXTColorHex::MoveSelection(UINT nChar)
{
    const HEXCOLOR_CELL* pCell = GetCell(GetCurrentCell());
    if (pCell == NULL)
        return FALSE;
    int nNext = -1;
    switch (nChar)
    {
    case VK_LEFT:
        nNext = pCell->left;
        break;
    case VK_UP:
        nNext = pCell->up;
        break;
    case VK_RIGHT:
        nNext = pCell->right;
        break;
    case VK_DOWN:
        nNext = pCell->down;
        break;
    default:
        return FALSE;
    }
    const HEXCOLOR_CELL* pNext = GetCell(nNext);
    if (pNext == NULL)
        return FALSE;
    SelectAt(pNext->pPoints[0]);
    return TRUE;
}

COLORREF CXTColorHex::GetDialogColor()
{
    HWND hPage = m_hWnd != NULL ? ::GetParent(m_hWnd) : NULL;
    if (CXTColorPageStandard* pPage = DYNAMIC_DOWNCAST(CXTColorPageStandard, CWnd::FromHandlePermanent(hPage)))
        if (pPage->m_pParentSheet != NULL)
            return pPage->m_pParentSheet->GetColor();
    return m_clrColor;
}

void CXTColorHex::DrawHoneycomb(CDC* pDC)
{
    CRect rcClient;
    GetClientRect(&rcClient);
    const int cx = rcClient.Width(), cy = rcClient.Height();
    if (cx <= 0 || cy <= 0)
        return;

    // Pixel by pixel into a 32-bit picture of the client size.
    void* pvBits = NULL;
    HBITMAP hBitmap = XTColorCreatePictureDib(cx, cy, &pvBits);
    if (hBitmap == NULL || !m_dcHex.CreateCompatibleDC(pDC))
    {
        TRACE("CXTColorHex: cannot make the honeycomb picture\n");
        if (hBitmap != NULL)
            ::DeleteObject(hBitmap);
        return;
    }
    m_bmpHex.Attach(hBitmap);
    m_hOldBitmap = (HBITMAP)::SelectObject(m_dcHex.m_hDC, hBitmap);

    // The background is what the parent gives statics.
    HBRUSH hBrush = NULL;
    if (CWnd* pParent = GetParent())
        hBrush = (HBRUSH)pParent->SendMessage(WM_CTLCOLORSTATIC, (WPARAM)m_dcHex.m_hDC, (LPARAM)m_hWnd);
    if (hBrush != NULL)
        ::FillRect(m_dcHex.m_hDC, &rcClient, hBrush);
    else
        m_dcHex.FillSolidRect(rcClient, GetXTPSysColor(COLOR_3DFACE));
    ::GdiFlush();

    DWORD* pBits = (DWORD*)pvBits;
    LayoutCells();
    for (int i = 0; i < (int)m_arrCells.GetSize(); i++)
    {
        const HEXCOLOR_CELL* pCell = m_arrCells[i];
        const DWORD dwPixel = (GetRValue(pCell->clr) << 16) | (GetGValue(pCell->clr) << 8) | GetBValue(pCell->clr);
        for (int n = 0; n < pCell->nPoints; n++)
        {
            const CPoint& pt = pCell->pPoints[n];
            if (pt.x >= 0 && pt.x < cx && pt.y >= 0 && pt.y < cy)
                pBits[(size_t)pt.y * cx + pt.x] = dwPixel;
        }
    }
}

void CXTColorHex::DrawOutline(CDC* pDC, CPoint ptAnchor, BOOL bSmall)
{
    const std::vector<OutlinePixel>& pixels = bSmall ? SmallOutline() : LargeOutline();
    for (const OutlinePixel& px : pixels)
        pDC->SetPixelV(ptAnchor.x + px.dx, ptAnchor.y + px.dy, px.bWhite ? RGB(255, 255, 255) : RGB(0, 0, 0));
}

void CXTColorHex::DrawPicture(CDC* pDC)
{
    CRect rcClient;
    GetClientRect(&rcClient);
    if (rcClient.IsRectEmpty())
        return;
    if (m_dcHex.GetSafeHdc() == NULL)
        DrawHoneycomb(pDC);

    CXTColorPaintBuffer buffer(this, pDC);
    if (!buffer.IsReady())
        return;
    CDC& dcMem = *buffer.GetDC();
    dcMem.FillSolidRect(rcClient, GetXTPSysColor(COLOR_3DFACE));
    if (m_dcHex.GetSafeHdc() != NULL)
        dcMem.BitBlt(0, 0, rcClient.Width(), rcClient.Height(), &m_dcHex, 0, 0, SRCCOPY);

    // The outline only while the dialog's new colour is the selected one.
    if (m_clrColor != (COLORREF)-1 && GetDialogColor() == m_clrColor)
    {
        LayoutCells();
        if (m_clrColor == RGB(255, 255, 255))
        {
            DrawOutline(&dcMem, m_arrCells[kWhiteSmall]->pPoints[0], TRUE);
            DrawOutline(&dcMem, m_arrCells[kWhiteLarge]->pPoints[0], FALSE);
        }
        else if (m_clrColor == RGB(0, 0, 0))
        {
            DrawOutline(&dcMem, m_arrCells[kBlack]->pPoints[0], FALSE);
        }
        else if (IsStandardColor(m_clrColor))
        {
            DrawOutline(&dcMem, m_ptSelected, m_bSmallCell);
        }
    }
}

void CXTColorHex::OnPaint()
{
    CPaintDC dc(this);
    DrawPicture(&dc);
}

void CXTColorHex::OnPrintClient(CDC* pDC, UINT)
{
    DrawPicture(pDC);
}

BOOL CXTColorHex::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CXTColorHex::OnSize(UINT nType, int cx, int cy)
{
    CStatic::OnSize(nType, cx, cy);
    // A new size needs a new picture (the cells follow on next use).
    if (m_dcHex.GetSafeHdc() != NULL)
    {
        ::SelectObject(m_dcHex.m_hDC, m_hOldBitmap);
        m_dcHex.DeleteDC();
        m_bmpHex.DeleteObject();
    }
}

void CXTColorHex::OnLButtonDown(UINT nFlags, CPoint point)
{
    SetFocus();
    SelectAt(point);
    m_bTracking = TRUE;
    CStatic::OnLButtonDown(nFlags, point);
}

void CXTColorHex::OnMouseMove(UINT nFlags, CPoint point)
{
    // A button released outside the control ends the drag too: a later
    // move without it selects nothing.
    if (m_bTracking && !(nFlags & MK_LBUTTON))
        m_bTracking = FALSE;
    if (m_bTracking)
        SelectAt(point);
    CStatic::OnMouseMove(nFlags, point);
}

void CXTColorHex::OnLButtonUp(UINT nFlags, CPoint point)
{
    m_bTracking = FALSE;
    CStatic::OnLButtonUp(nFlags, point);
}

void CXTColorHex::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    CStatic::OnLButtonDblClk(nFlags, point);
    SetFocus();
    if (CellFromPoint(point) >= 0)
    {
        SelectAt(point);
        m_bTracking = TRUE;
        EndDialogOK();
    }
}

UINT CXTColorHex::OnGetDlgCode()
{
    // The arrow keys are the picker's, not the dialog's navigation.
    return DLGC_WANTARROWS;
}

void CXTColorHex::EndDialogOK()
{
    m_bTracking = FALSE;
    XTColorPickerEndDialog(this);
}

BOOL CXTColorHex::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && pMsg->hwnd == m_hWnd)
    {
        switch (pMsg->wParam)
        {
        case VK_RETURN:
        case VK_SPACE:
            EndDialogOK();
            return TRUE;
        case VK_LEFT:
        case VK_UP:
        case VK_RIGHT:
        case VK_DOWN:
            MoveSelection((UINT)pMsg->wParam);
            return TRUE;
        default:
            break;
        }
    }
    return CStatic::PreTranslateMessage(pMsg);
}

/////////////////////////////////////////////////////////////////////////////
// CXTColorPageStandard

IMPLEMENT_DYNAMIC(CXTColorPageStandard, CPropertyPage)

BEGIN_MESSAGE_MAP(CXTColorPageStandard, CPropertyPage)
    ON_MESSAGE(WM_XT_UPDATECOLOR, OnUpdateColor)
END_MESSAGE_MAP()

CXTColorPageStandard::CXTColorPageStandard(CXTColorDialog* pParentSheet)
    : CPropertyPage(XT_IDD_COLORSTANDARD), m_pParentSheet(pParentSheet)
{
    m_psp.dwFlags &= ~PSP_HASHELP;
}

CXTColorPageStandard::~CXTColorPageStandard()
{
}

void CXTColorPageStandard::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, XT_IDC_CLR_HEX, m_colorHex);
}

LRESULT CXTColorPageStandard::OnUpdateColor(WPARAM wParam, LPARAM)
{
    if (m_pParentSheet != NULL)
        m_pParentSheet->SetNewColor((COLORREF)wParam, FALSE);
    return 0;
}
