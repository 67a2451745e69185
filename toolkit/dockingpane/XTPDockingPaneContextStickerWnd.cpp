// Docking stickers: their sprite tables, sizes, drawing, window regions and
// hit testing.
#include "XTPDockingPaneContextStickerWnd.h"

#include "XTPDockingPaneContext.h"

#include <XTPColorManager.h>
#include <XTPDCHelpers.h>
#include <XTPResourceManager.h>

#include <commctrl.h>

namespace
{
// One sprite: where it is drawn inside a cross, and its rectangle on the sheet.
struct STICKERSPRITE
{
    int x;
    int y;
    RECT rcSrc;
};

// Style 0: the arrows (top, left, bottom, right), the same highlighted, the
// centre and its highlighted form, and the cross background (on its own bitmap).
const STICKERSPRITE kStyle0[11] = {
    { 25, 0, { 0, 0, 43, 30 } },     { 0, 25, { 30, 33, 60, 76 } },  { 25, 63, { 43, 0, 86, 30 } },
    { 63, 25, { 0, 33, 30, 76 } },   { 25, 0, { 0, 76, 43, 106 } },  { 0, 25, { 90, 33, 120, 76 } },
    { 25, 63, { 43, 76, 86, 106 } }, { 63, 25, { 60, 33, 90, 76 } }, { 30, 30, { 86, 0, 119, 33 } },
    { 30, 30, { 86, 76, 119, 109 } }, { 25, 25, { 0, 0, 43, 43 } },
};

// Style 1: the arms of the cross (top, left, bottom, right), the same
// highlighted, the centre, the cross background with the centre
// highlighted and plain, the lone stickers and the same highlighted.
const STICKERSPRITE kStyle1[19] = {
    { 30, 0, { 61, 29, 90, 59 } },   { 0, 30, { 90, 30, 120, 59 } },   { 30, 59, { 91, 0, 120, 30 } },
    { 60, 30, { 62, 0, 92, 29 } },   { 30, 0, { 61, 90, 90, 120 } },   { 0, 30, { 90, 91, 120, 120 } },
    { 30, 59, { 91, 61, 120, 91 } }, { 60, 30, { 62, 61, 92, 90 } },   { 30, 30, { 120, 82, 148, 111 } },
    { 24, 24, { 120, 41, 161, 82 } }, { 24, 24, { 120, 0, 161, 41 } }, { 0, 0, { 0, 29, 29, 61 } },
    { 0, 0, { 29, 32, 61, 61 } },    { 0, 0, { 32, 0, 61, 32 } },      { 0, 0, { 0, 0, 32, 29 } },
    { 0, 0, { 0, 90, 29, 122 } },    { 0, 0, { 29, 93, 61, 122 } },    { 0, 0, { 32, 61, 61, 93 } },
    { 0, 0, { 0, 61, 32, 90 } },
};

// The side parts in drawing and hit-testing order, with their sprite index
// (the same in both styles' first four entries).
const UINT kSideOrder[4] = { xtpStickerTop, xtpStickerLeft, xtpStickerBottom, xtpStickerRight };

// A black 32-bit bitmap with its own memory DC; drawn pixels are the ones
// that are not black.
class CStickerBuffer
{
public:
    explicit CStickerBuffer(CSize sz) : m_sz(sz), m_pBits(NULL), m_hBitmap(NULL), m_hOld(NULL)
    {
        BITMAPINFO bmi;
        ZeroMemory(&bmi, sizeof(bmi));
        bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bmi.bmiHeader.biWidth = sz.cx;
        bmi.bmiHeader.biHeight = -sz.cy;
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 32;
        bmi.bmiHeader.biCompression = BI_RGB;
        m_hBitmap = ::CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, (void**)&m_pBits, NULL, 0);
        m_dc.CreateCompatibleDC(NULL);
        if (m_hBitmap != NULL)
        {
            ZeroMemory(m_pBits, (size_t)sz.cx * sz.cy * 4);
            m_hOld = ::SelectObject(m_dc.m_hDC, m_hBitmap);
        }
    }
    ~CStickerBuffer()
    {
        if (m_hOld != NULL)
            ::SelectObject(m_dc.m_hDC, m_hOld);
        if (m_hBitmap != NULL)
            ::DeleteObject(m_hBitmap);
    }
    BOOL IsValid() const { return m_hBitmap != NULL; }
    CDC* DC() { return &m_dc; }
    BOOL IsDrawn(int x, int y) const
    {
        if (m_pBits == NULL || x < 0 || y < 0 || x >= m_sz.cx || y >= m_sz.cy)
            return FALSE;
        ::GdiFlush();
        return (m_pBits[(size_t)y * m_sz.cx + x] & 0xFFFFFF) != 0;
    }

private:
    CStickerBuffer(const CStickerBuffer&);
    CStickerBuffer& operator=(const CStickerBuffer&);
    CSize m_sz;
    DWORD* m_pBits;
    HBITMAP m_hBitmap;
    HGDIOBJ m_hOld;
    CDC m_dc;
};

// Draws one sprite of a sheet at a point, its transparent colour left out:
// the sprite is cut out of the sheet and drawn through a masked image list.
void DrawSprite(CDC* pDC, CBitmap& bmpSheet, const STICKERSPRITE& sprite, CPoint pt)
{
    if (bmpSheet.GetSafeHandle() == NULL)
        return;
    CRect rcSrc(sprite.rcSrc);
    BITMAPINFO bmi;
    ZeroMemory(&bmi, sizeof(bmi));
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = rcSrc.Width();
    bmi.bmiHeader.biHeight = rcSrc.Height();
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 24;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* pBits = NULL;
    HBITMAP hPart = ::CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
    if (hPart == NULL)
        return;
    {
        CDC dcSheet, dcPart;
        dcSheet.CreateCompatibleDC(NULL);
        dcPart.CreateCompatibleDC(NULL);
        HGDIOBJ hOldSheet = ::SelectObject(dcSheet.m_hDC, bmpSheet.GetSafeHandle());
        HGDIOBJ hOldPart = ::SelectObject(dcPart.m_hDC, hPart);
        dcPart.BitBlt(0, 0, rcSrc.Width(), rcSrc.Height(), &dcSheet, rcSrc.left, rcSrc.top, SRCCOPY);
        ::SelectObject(dcPart.m_hDC, hOldPart);
        ::SelectObject(dcSheet.m_hDC, hOldSheet);
    }
    HIMAGELIST hImageList = ImageList_Create(rcSrc.Width(), rcSrc.Height(), ILC_COLOR24 | ILC_MASK, 1, 0);
    if (hImageList != NULL)
    {
        if (ImageList_AddMasked(hImageList, hPart, XTP_DOCKINGPANE_STICKER_MASK) >= 0)
            ImageList_Draw(hImageList, 0, pDC->GetSafeHdc(), pt.x, pt.y, ILD_TRANSPARENT);
        ImageList_Destroy(hImageList);
    }
    ::DeleteObject(hPart);
}

BOOL LoadSheet(CBitmap& bmp, UINT nID)
{
    if (XTPResourceManager()->LoadBitmap(&bmp, nID))
        return TRUE;
    TRACE("The docking sticker bitmap %u is missing.\n", nID);
    return FALSE;
}

UINT SheetOfScheme(int nColorScheme)
{
    switch (nColorScheme)
    {
    case xtpSystemThemeOlive: return XTP_IDB_DOCKINGPANE_STICKERS_OLIVE;
    case xtpSystemThemeSilver: return XTP_IDB_DOCKINGPANE_STICKERS_SILVER;
    default: return XTP_IDB_DOCKINGPANE_STICKERS;
    }
}
} // namespace

BEGIN_MESSAGE_MAP(CXTPDockingPaneContextStickerWnd, CWnd)
    ON_WM_PAINT()
END_MESSAGE_MAP()

CXTPDockingPaneContextStickerWnd::CXTPDockingPaneContextStickerWnd(CXTPDockingPaneContext* pContext)
    : m_typeSticker(xtpStickerNone), m_selectedSuperSticker(xtpStickerNone), m_pContext(pContext)
{
}

CSize AFX_CDECL CXTPDockingPaneContextStickerWnd::GetStickerSize(UINT nKind, int nStyle)
{
    if (nKind & xtpStickerClient)
        return nStyle == 1 ? CSize(89, 89) : CSize(93, 93);
    if (nKind & (xtpStickerTop | xtpStickerBottom))
        return nStyle == 1 ? CSize(29, 32) : CSize(43, 30);
    return nStyle == 1 ? CSize(32, 29) : CSize(30, 43);
}

void AFX_CDECL CXTPDockingPaneContextStickerWnd::DrawSticker(CDC* pDC, UINT nKind, UINT nHighlighted, int nStyle,
                                                             int nColorScheme)
{
    const BOOL bCross = (nKind & xtpStickerClient) != 0;
    CBitmap bmpSheet;
    if (nStyle == 1)
    {
        if (!LoadSheet(bmpSheet, XTP_IDB_DOCKINGPANE_STICKERS_2005))
            return;
        if (bCross)
        {
            const STICKERSPRITE& background = kStyle1[nHighlighted == xtpStickerCenter ? 9 : 10];
            DrawSprite(pDC, bmpSheet, background, CPoint(background.x, background.y));
        }
        for (int i = 0; i < 4; i++)
        {
            if ((nKind & kSideOrder[i]) == 0)
                continue;
            BOOL bHighlighted = nHighlighted == kSideOrder[i];
            const STICKERSPRITE& sprite = bCross ? kStyle1[i + (bHighlighted ? 4 : 0)]
                                                 : kStyle1[11 + i + (bHighlighted ? 4 : 0)];
            DrawSprite(pDC, bmpSheet, sprite, bCross ? CPoint(sprite.x, sprite.y) : CPoint(0, 0));
        }
        if (nKind & xtpStickerCenter)
            DrawSprite(pDC, bmpSheet, kStyle1[8], bCross ? CPoint(kStyle1[8].x, kStyle1[8].y) : CPoint(0, 0));
        return;
    }

    if (!LoadSheet(bmpSheet, SheetOfScheme(nColorScheme)))
        return;
    if (bCross)
    {
        CBitmap bmpCenter;
        if (LoadSheet(bmpCenter, XTP_IDB_DOCKINGPANE_STICKER_CENTER))
            DrawSprite(pDC, bmpCenter, kStyle0[10], CPoint(kStyle0[10].x, kStyle0[10].y));
    }
    for (int i = 0; i < 4; i++)
    {
        if ((nKind & kSideOrder[i]) == 0)
            continue;
        const STICKERSPRITE& sprite = kStyle0[i + (nHighlighted == kSideOrder[i] ? 4 : 0)];
        DrawSprite(pDC, bmpSheet, sprite, bCross ? CPoint(sprite.x, sprite.y) : CPoint(0, 0));
    }
    if (nKind & xtpStickerCenter)
    {
        const STICKERSPRITE& sprite = kStyle0[nHighlighted == xtpStickerCenter ? 9 : 8];
        DrawSprite(pDC, bmpSheet, sprite, bCross ? CPoint(sprite.x, sprite.y) : CPoint(0, 0));
    }
}

BOOL AFX_CDECL CXTPDockingPaneContextStickerWnd::CreateStickerRegion(CRgn* pRgn, UINT nKind, int nStyle)
{
    CSize sz = GetStickerSize(nKind, nStyle);
    CStickerBuffer buffer(sz);
    if (!buffer.IsValid() || !pRgn->CreateRectRgn(0, 0, 0, 0))
        return FALSE;
    DrawSticker(buffer.DC(), nKind, xtpStickerNone, nStyle, GetColorManager()->GetCurrentSystemTheme());
    for (int y = 0; y < sz.cy; y++)
    {
        int x = 0;
        while (x < sz.cx)
        {
            while (x < sz.cx && !buffer.IsDrawn(x, y))
                x++;
            int xStart = x;
            while (x < sz.cx && buffer.IsDrawn(x, y))
                x++;
            if (x > xStart)
            {
                CRgn rgnRun;
                rgnRun.CreateRectRgn(xStart, y, x, y + 1);
                pRgn->CombineRgn(pRgn, &rgnRun, RGN_OR);
            }
        }
    }
    return TRUE;
}

int CXTPDockingPaneContextStickerWnd::HitTest(CPoint ptScreen)
{
    if (m_hWnd == NULL)
        return xtpStickerNone;
    CPoint pt(ptScreen);
    ScreenToClient(&pt);
    CRect rcClient;
    GetClientRect(&rcClient);
    if (!rcClient.PtInRect(pt))
        return xtpStickerNone;

    const int nStyle = m_pContext != NULL ? m_pContext->GetStickerStyle() : 0;
    const BOOL bCross = (m_typeSticker & xtpStickerClient) != 0;
    CBitmap bmpSheet, bmpCenter;
    if (!LoadSheet(bmpSheet, nStyle == 1 ? XTP_IDB_DOCKINGPANE_STICKERS_2005 : XTP_IDB_DOCKINGPANE_STICKERS))
        return xtpStickerNone;
    if (nStyle != 1 && (m_typeSticker & xtpStickerCenter) && !LoadSheet(bmpCenter, XTP_IDB_DOCKINGPANE_STICKER_CENTER))
        return xtpStickerNone;

    // Each part alone; the first whose image covers the point wins.
    const UINT parts[5] = { xtpStickerTop, xtpStickerLeft, xtpStickerBottom, xtpStickerRight, xtpStickerCenter };
    for (int i = 0; i < 5; i++)
    {
        if ((m_typeSticker & parts[i]) == 0)
            continue;
        const STICKERSPRITE& sprite = i < 4 ? (nStyle == 1 ? kStyle1[i] : kStyle0[i])
                                            : (nStyle == 1 ? kStyle1[10] : kStyle0[10]);
        CStickerBuffer buffer(rcClient.Size());
        if (!buffer.IsValid())
            return xtpStickerNone;
        CBitmap& bmp = (i == 4 && nStyle != 1) ? bmpCenter : bmpSheet;
        DrawSprite(buffer.DC(), bmp, sprite, bCross ? CPoint(sprite.x, sprite.y) : CPoint(0, 0));
        if (buffer.IsDrawn(pt.x, pt.y))
            return (int)parts[i];
    }
    return xtpStickerNone;
}

void CXTPDockingPaneContextStickerWnd::SetHighlighted(UINT nPart)
{
    if (m_selectedSuperSticker == nPart)
        return;
    m_selectedSuperSticker = nPart;
    if (m_hWnd != NULL)
        Invalidate(FALSE);
}

void CXTPDockingPaneContextStickerWnd::OnPaint()
{
    CPaintDC dcPaint(this);
    CRect rc;
    GetClientRect(&rc);
    CXTPBufferDC dc(dcPaint.GetSafeHdc(), rc);
    dc.FillSolidRect(rc, 0);
    DrawSticker(&dc, m_typeSticker, m_selectedSuperSticker, m_pContext != NULL ? m_pContext->GetStickerStyle() : 0,
                GetColorManager()->GetCurrentSystemTheme());
}
