// Board painting.
#include "HTSquarePainter.h"

#include "ApplicationInfo.h"
#include "resource.h"

#include <unordered_map>

namespace
{
const char kBoardFace[] = "Tahoma";
}

/////////////////////////////////////////////////////////////////////////////
// CDCStack

HFONT AFX_CDECL CDCStack::GetStateFont(CDC* pDC)
{
    // One font per vertical resolution (screens and printers differ), kept
    // for the life of the program.
    struct FontCache
    {
        CMap<int, int, HFONT, HFONT> map;
        ~FontCache()
        {
            for (POSITION pos = map.GetStartPosition(); pos != NULL;)
            {
                int nDpi;
                HFONT hFont;
                map.GetNextAssoc(pos, nDpi, hFont);
                ::DeleteObject(hFont);
            }
        }
    };
    static FontCache s_cache;
    const int nDpi = pDC->GetDeviceCaps(LOGPIXELSY);
    HFONT hFont = NULL;
    if (s_cache.map.Lookup(nDpi, hFont))
        return hFont;
    CFont font;
    if (!font.CreatePointFont(100, kBoardFace, pDC))
        return NULL;
    hFont = (HFONT)font.Detach();
    s_cache.map.SetAt(nDpi, hFont);
    return hFont;
}

CDCStack::CDCStack(CDC* pDC)
    : m_pDC(pDC), m_nOldBkMode(0), m_clrOldText(0), m_clrOldBk(0), m_nOldTextAlign(0), m_hOldPen(NULL),
      m_hOldBrush(NULL), m_hOldFont(NULL)
{
    if (m_pDC == NULL || m_pDC->GetSafeHdc() == NULL)
    {
        m_pDC = NULL;
        return;
    }
    HDC hDC = m_pDC->GetSafeHdc();
    m_nOldBkMode = ::SetBkMode(hDC, TRANSPARENT);
    m_clrOldText = ::SetTextColor(hDC, RGB(0, 0, 0));
    m_clrOldBk = ::SetBkColor(hDC, RGB(255, 255, 255));
    m_nOldTextAlign = ::SetTextAlign(hDC, TA_LEFT | TA_TOP);
    m_hOldPen = ::SelectObject(hDC, ::GetStockObject(BLACK_PEN));
    m_hOldBrush = ::SelectObject(hDC, ::GetStockObject(WHITE_BRUSH));
    HFONT hFont = GetStateFont(m_pDC);
    m_hOldFont = hFont != NULL ? ::SelectObject(hDC, hFont) : NULL;
}

CDCStack::~CDCStack()
{
    if (m_pDC == NULL)
        return;
    HDC hDC = m_pDC->GetSafeHdc();
    ::SetBkMode(hDC, m_nOldBkMode);
    ::SetTextColor(hDC, m_clrOldText);
    ::SetBkColor(hDC, m_clrOldBk);
    ::SetTextAlign(hDC, m_nOldTextAlign);
    if (m_hOldPen != NULL)
        ::SelectObject(hDC, m_hOldPen);
    if (m_hOldBrush != NULL)
        ::SelectObject(hDC, m_hOldBrush);
    if (m_hOldFont != NULL)
        ::SelectObject(hDC, m_hOldFont);
}

/////////////////////////////////////////////////////////////////////////////
// Font fitting

namespace
{
// The text height of the face at a size in tenths of a point; -1 when the
// font cannot be made or measured.
int MeasurePointFont(CDC& dcMeasure, LPCTSTR lpszFace, int nSize)
{
    CFont font;
    if (!font.CreatePointFont(nSize, lpszFace, &dcMeasure))
        return -1;
    CFont* pOldFont = dcMeasure.SelectObject(&font);
    TEXTMETRIC tm;
    const BOOL bMeasured = dcMeasure.GetTextMetrics(&tm);
    dcMeasure.SelectObject(pOldFont);
    return bMeasured ? tm.tmHeight : -1;
}
} // namespace

int AFXAPI FitPointFont(CDC* pDC, LPCTSTR lpszFace, int nHeight, int nPercent, int nFallback)
{
    const double dLimit = nPercent / 100.0 * nHeight;
    CDC dcMeasure;
    if (!dcMeasure.CreateCompatibleDC(pDC))
        return nFallback;
    // The largest whole-point size from 200 pt down whose text height is
    // below the limit. Text grows with the size, so the sizes that fit are
    // the small ones: a binary search over 1-200 pt finds the same size as
    // trying each from the top, with a handful of fonts instead of up to 200.
    int nLow = 1, nHigh = 200, nFound = 0;
    while (nLow <= nHigh)
    {
        const int nPoints = (nLow + nHigh) / 2;
        const int nTextHeight = MeasurePointFont(dcMeasure, lpszFace, nPoints * 10);
        if (nTextHeight >= 0 && nTextHeight < dLimit)
        {
            nFound = nPoints;
            nLow = nPoints + 1;
        }
        else
            nHigh = nPoints - 1;
    }
    dcMeasure.DeleteDC();
    return nFound > 0 ? nFound * 10 : nFallback;
}

/////////////////////////////////////////////////////////////////////////////
// CHTSquarePainter_Base

CHTSquarePainter_Base::CHTSquarePainter_Base()
    : m_pContainer(NULL), m_bPrint(FALSE), m_pDC(NULL), m_bPreview(FALSE), m_nNumberSize(30), m_nSmallSize(10),
      m_bShowIsland(FALSE), m_bShowDuplicates(FALSE), m_bShowAdjacent(FALSE)
{
    ::SetRectEmpty(&m_rcSquare);
    memset(&m_lfNumber, 0, sizeof(m_lfNumber));
    memset(&m_lfSmall, 0, sizeof(m_lfSmall));
}

CHTSquarePainter_Base::~CHTSquarePainter_Base()
{
    m_fontNumber.DeleteObject();
    m_fontSmall.DeleteObject();
}

int CHTSquarePainter_Base::FitPointFont(LPCTSTR lpszFace, int nHeight, int nPercent, int nFallback)
{
    return ::FitPointFont(m_pDC, lpszFace, nHeight, nPercent, nFallback);
}

/////////////////////////////////////////////////////////////////////////////
// CHTSquarePainter_Default

CHTSquarePainter_Default::CHTSquarePainter_Default(const CHTDataContainer* pContainer, BOOL bPrint, CDC* pDC,
                                                   const RECT& rcSquare, BOOL bPreview)
    : m_nNumberHeight(-1)
{
    m_pContainer = pContainer;
    m_bPrint = (BYTE)(bPrint ? 1 : 0);
    m_pDC = pDC;
    m_rcSquare = rcSquare;
    m_bPreview = (BYTE)(bPreview ? 1 : 0);
    if (pContainer != NULL)
    {
        m_nNumberSize = pContainer->m_AppearanceInfo.m_nMainFontSize;
        m_nSmallSize = pContainer->m_AppearanceInfo.m_nSmallFontSize;
        m_bShowIsland = pContainer->m_GradeInfo.m_bShowIslandSquares;
        m_bShowDuplicates = pContainer->m_GradeInfo.m_bShowUnshadedDups;
        m_bShowAdjacent = pContainer->m_GradeInfo.m_bShowAdjacentShaded;
    }

    int nNumberTenths;
    int nSmallTenths;
    if (m_bPrint)
    {
        nNumberTenths = FitPointFont(kBoardFace, SquareHeight(), 100, 250);
        nSmallTenths = FitPointFont(kBoardFace, SquareHeight(), 35, 90);
    }
    else
    {
        nNumberTenths = m_bPreview ? 100 : m_nNumberSize * 10;
        nSmallTenths = m_nSmallSize * 10;
    }
    if (!m_fontNumber.CreatePointFont(nNumberTenths, kBoardFace, m_pDC))
        TRACE("CHTSquarePainter_Default: no number font of %d tenths\n", nNumberTenths);
    else
        FitNumberFontToWidth(nNumberTenths);
    if (!m_fontSmall.CreatePointFont(nSmallTenths, kBoardFace, m_pDC))
        TRACE("CHTSquarePainter_Default: no small font of %d tenths\n", nSmallTenths);
    if (m_fontNumber.GetSafeHandle() != NULL)
        m_fontNumber.GetLogFont(&m_lfNumber);
    if (m_fontSmall.GetSafeHandle() != NULL)
        m_fontSmall.GetLogFont(&m_lfSmall);
}

void CHTSquarePainter_Default::FitNumberFontToWidth(int nTenths)
{
    if (m_pContainer == NULL || m_pDC == NULL)
        return;
    // Numbers run from 1 to the longer side; every digit is as wide as the
    // others in the board face, so the largest number is the widest.
    char szWidest[16];
    const int nLength =
        wsprintfA(szWidest, "%d", HTLargestSide(m_pContainer->m_nColumns, m_pContainer->m_nRows));
    // Clear of each edge by up to 5 pixels: the grid's outer border, a line
    // 4 pixels wide, covers that much of the outer squares, and a digit's
    // ink may reach a pixel beyond its advance width.
    const int nMargin = SquareWidth() / 6 < 5 ? SquareWidth() / 6 : 5;
    const int nLimit = SquareWidth() - 2 * nMargin;
    if (nLimit <= 0)
        return;
    CFont* pOldFont = m_pDC->SelectObject(&m_fontNumber);
    int nWidth = m_pDC->GetTextExtent(szWidest, nLength).cx;
    m_pDC->SelectObject(pOldFont);
    if (nWidth <= nLimit)
        return;
    // Whole points again, from the size the width allows downwards.
    int nPoints = (int)((double)nTenths * nLimit / nWidth / 10.0);
    if (nPoints >= nTenths / 10)
        nPoints = nTenths / 10 - 1;
    for (; nPoints >= 1; nPoints--)
    {
        CFont font;
        if (!font.CreatePointFont(nPoints * 10, kBoardFace, m_pDC))
            continue;
        pOldFont = m_pDC->SelectObject(&font);
        nWidth = m_pDC->GetTextExtent(szWidest, nLength).cx;
        m_pDC->SelectObject(pOldFont);
        if (nWidth <= nLimit || nPoints == 1)
        {
            m_fontNumber.DeleteObject();
            m_fontNumber.Attach(font.Detach());
            return;
        }
    }
}

CHTSquarePainter_Default::~CHTSquarePainter_Default()
{
    for (INT_PTR i = 0; i < m_arrPens.GetSize(); i++)
        delete m_arrPens[i].pPen;
    for (POSITION pos = m_mapBrushes.GetStartPosition(); pos != NULL;)
    {
        COLORREF clr;
        CBrush* pBrush;
        m_mapBrushes.GetNextAssoc(pos, clr, pBrush);
        delete pBrush;
    }
}

CBrush* CHTSquarePainter_Default::GetBrush(COLORREF clr)
{
    CBrush* pBrush = NULL;
    if (!m_mapBrushes.Lookup(clr, pBrush))
    {
        pBrush = new CBrush(clr);
        m_mapBrushes.SetAt(clr, pBrush);
    }
    return pBrush;
}

CPen* CHTSquarePainter_Default::GetPen(int nWidth, COLORREF clr)
{
    for (INT_PTR i = 0; i < m_arrPens.GetSize(); i++)
    {
        if (m_arrPens[i].nWidth == nWidth && m_arrPens[i].clr == clr)
            return m_arrPens[i].pPen;
    }
    CachedPen cached = {nWidth, clr, new CPen(PS_SOLID, nWidth, clr)};
    m_arrPens.Add(cached);
    return cached.pPen;
}

COLORREF CHTSquarePainter_Default::GetFillColour(const CHTSquareData& square) const
{
    return GetColourPair(square).clrFill;
}

COLORREF CHTSquarePainter_Default::GetNumberColour(const CHTSquareData& square) const
{
    return GetColourPair(square).clrNumber;
}

CHTSquarePainter_Default::ColourPair CHTSquarePainter_Default::GetColourPair(const CHTSquareData& square) const
{
    // The first rule that holds: a shown island, duplicate or adjacency mark,
    // then the player's state.
    if (m_bShowIsland && square.m_bIslandMark)
        return ColourPair{square.m_crIslandFill, square.m_crIslandNumber};
    if (m_bShowDuplicates && square.m_bDuplicateMark)
        return ColourPair{square.m_crUnshadedDupFill, square.m_crUnshadedDupNumber};
    if (m_bShowAdjacent && square.m_bAdjacencyMark)
        return ColourPair{square.m_crAdjacentShadedFill, square.m_crAdjacentShadedNumber};
    if (square.m_nPlayerState == htsShaded)
        return ColourPair{square.m_crShadedFill, square.m_crShadedNumber};
    return ColourPair{square.m_crUnshadedFill, square.m_crUnshadedNumber};
}

void CHTSquarePainter_Default::DrawSquare(const CHTSquareData& square)
{
    if (m_pDC == NULL || m_pDC->GetSafeHdc() == NULL)
        return;
    switch (square.m_nPlayerState)
    {
    case htsUndecided:
        DrawUndecided(square);
        break;
    case htsUnshaded:
        DrawUnshaded(square);
        break;
    case htsShaded:
        DrawShaded(square);
        break;
    default:
        break;
    }
}

void CHTSquarePainter_Default::FillSquare(const CHTSquareData& square)
{
    // A rectangle whose pen and brush are both the fill colour: the whole
    // square in that colour.
    m_pDC->FillRect(&m_rcSquare, GetBrush(GetFillColour(square)));
}

void CHTSquarePainter_Default::DrawSquareEdges(const CHTSquareData& square)
{
    // Only the left and top edges: the board's border closes the right and
    // bottom of the grid.
    CPen* pOldPen = m_pDC->SelectObject(GetPen(1, square.m_crSquareBorder));
    m_pDC->MoveTo(0, SquareHeight());
    m_pDC->LineTo(0, 0);
    m_pDC->LineTo(SquareWidth(), 0);
    m_pDC->SelectObject(pOldPen);
}

void CHTSquarePainter_Default::DrawNumber(const CHTSquareData& square)
{
    if (square.m_nNumber == HT_NO_NUMBER)
        return;
    CFont* pOldFont = m_pDC->SelectObject(&m_fontNumber);
    m_pDC->SetTextAlign(TA_CENTER | TA_TOP);
    m_pDC->SetTextColor(GetNumberColour(square));
    m_pDC->SetBkMode(TRANSPARENT);
    if (m_nNumberHeight < 0)
    {
        TEXTMETRIC tm;
        m_nNumberHeight = m_pDC->GetTextMetrics(&tm) ? (int)tm.tmHeight : 0;
    }
    char szNumber[16];
    const int nLength = wsprintfA(szNumber, "%d", square.m_nNumber);
    m_pDC->TextOut(SquareWidth() / 2, (SquareHeight() - m_nNumberHeight) / 2, szNumber, nLength);
    m_pDC->SelectObject(pOldFont);
}

void CHTSquarePainter_Default::DrawDebugInfo(const CHTSquareData& square)
{
    if (m_bPreview || !g_ApplicationInfo.m_bDisplayDebugInfo)
        return;
    static const char szStates[] = "IUS";
    CFont* pOldFont = m_pDC->SelectObject(&m_fontSmall);
    CString strLetter;
    if (square.m_nPlayerState >= 0 && square.m_nPlayerState <= 2)
    {
        strLetter.Format("%c", szStates[square.m_nPlayerState]);
        m_pDC->TextOut(10, 5, strLetter);
    }
    if (square.m_nSolutionState >= 0 && square.m_nSolutionState <= 2)
    {
        strLetter.Format("%c", szStates[square.m_nSolutionState]);
        m_pDC->TextOut(SquareWidth() - 10, 5, strLetter);
    }
    m_pDC->SelectObject(pOldFont);
}

void CHTSquarePainter_Default::DrawUndecided(const CHTSquareData& square)
{
    PaintSquare(square, FALSE, FALSE);
}

void CHTSquarePainter_Default::DrawUnshaded(const CHTSquareData& square)
{
    PaintSquare(square, TRUE, FALSE);
}

void CHTSquarePainter_Default::DrawShaded(const CHTSquareData& square)
{
    // Marked adjacent or island squares show their mark's fill unhatched.
    PaintSquare(square, FALSE, !square.m_bAdjacencyMark && !square.m_bIslandMark);
}

void CHTSquarePainter_Default::PaintSquare(const CHTSquareData& square, BOOL bCross, BOOL bHatch)
{
    const int nSaved = m_pDC->SaveDC();
    {
        CDCStack stack(m_pDC);
        FillSquare(square);
        if (bCross)
        {
            // The cross of an unshaded square, under the number.
            CRect rcCross(m_rcSquare);
            rcCross.DeflateRect(m_rcSquare.right / 4, m_rcSquare.bottom / 4);
            CPen* pOldPen = m_pDC->SelectObject(GetPen(10, square.m_crSquareBorder));
            m_pDC->MoveTo(rcCross.left, rcCross.top);
            m_pDC->LineTo(rcCross.right, rcCross.bottom);
            m_pDC->MoveTo(rcCross.right, rcCross.top);
            m_pDC->LineTo(rcCross.left, rcCross.bottom);
            m_pDC->SelectObject(pOldPen);
        }
        DrawSquareEdges(square);
        DrawNumber(square);
        DrawDebugInfo(square);
        if (bHatch)
        {
            // A diagonal hatch in the number colour over a shaded square; the
            // number shows between its lines.
            const int nWidth = SquareWidth();
            const int nHeight = SquareHeight();
            const int nInset = (int)(0.1 * (nWidth > nHeight ? nWidth : nHeight));
            CBrush brush(HS_DIAGCROSS, GetNumberColour(square));
            CBrush* pOldBrush = m_pDC->SelectObject(&brush);
            m_pDC->Rectangle(nInset, nInset, nWidth - nInset, nHeight - nInset);
            m_pDC->SelectObject(pOldBrush);
        }
    }
    m_pDC->RestoreDC(nSaved);
}

CHTSquarePainter_Base* AFXAPI CreateSquarePainter(const CHTDataContainer* pContainer, BOOL bPrint, CDC* pDC,
                                                  const RECT& rcSquare, BOOL bPreview)
{
    return new CHTSquarePainter_Default(pContainer, bPrint, pDC, rcSquare, bPreview);
}

/////////////////////////////////////////////////////////////////////////////
// DrawBoard

namespace
{
// What a square's picture depends on: squares alike in all of it look
// alike, so the board draws each kind once and copies it.
struct SquareLook
{
    int nState;
    int nSolution;        // only for the debug letters
    int nNumber;
    COLORREF clrFill;
    COLORREF clrNumber;
    COLORREF clrBorder;
    BOOL bHatched;

    bool operator==(const SquareLook& other) const
    {
        return nState == other.nState && nSolution == other.nSolution && nNumber == other.nNumber &&
               clrFill == other.clrFill && clrNumber == other.clrNumber && clrBorder == other.clrBorder &&
               bHatched == other.bHatched;
    }
};

struct SquareLookHash
{
    size_t operator()(const SquareLook& look) const
    {
        size_t h = (size_t)look.nNumber * 31u + (size_t)look.nState;
        h = h * 131u + (size_t)look.nSolution;
        h = h * 16777619u ^ (size_t)look.clrFill;
        h = h * 16777619u ^ (size_t)look.clrNumber;
        h = h * 16777619u ^ (size_t)look.clrBorder;
        return h * 2u + (look.bHatched ? 1u : 0u);
    }
};

// Most pixels the square pictures kept between boards may hold (4 million:
// 16 MB).
const int kMaxStripPixels = 4 * 1024 * 1024;

// What the pictures of squares also depend on besides their look.
struct PictureContext
{
    int nSquareSize;
    int nRenderMode;
    int nNumberSize;
    int nSmallSize;
    int nDpi;
    BOOL bDebugLetters;

    bool operator==(const PictureContext& other) const
    {
        return nSquareSize == other.nSquareSize && nRenderMode == other.nRenderMode &&
               nNumberSize == other.nNumberSize && nSmallSize == other.nSmallSize && nDpi == other.nDpi &&
               bDebugLetters == other.bDebugLetters;
    }
};

// The pictures of the kinds of squares drawn so far, side by side in one
// 32-bit strip, kept from board to board: a repaint after a move draws only
// the squares that look new, and copies the rest. Pictures are made for one
// context (square size, mode, fonts, resolution) at a time.
class CSquarePictures
{
public:
    CSquarePictures() : m_hStrip(NULL), m_hOldStrip(NULL), m_nCapacity(0)
    {
        memset(&m_context, 0, sizeof(m_context));
    }
    ~CSquarePictures() { Reset(); }

    // Makes the pictures ready for the context; FALSE when there is no DC.
    BOOL Prepare(const PictureContext& context, CDC* pDCReference)
    {
        if (!(context == m_context))
        {
            Reset();
            m_context = context;
        }
        if (m_dc.GetSafeHdc() == NULL && !m_dc.CreateCompatibleDC(pDCReference))
            return FALSE;
        return TRUE;
    }
    // The slot of a look, or -1.
    int Find(const SquareLook& look) const
    {
        const auto it = m_slots.find(look);
        return it != m_slots.end() ? it->second : -1;
    }
    // Keeps the picture of a look from the square DC; its slot, or -1 when
    // there is no room at all. A full strip starts again from its first
    // slot, forgetting what it held.
    int Add(const SquareLook& look, CDC* pDCSquare)
    {
        const int nSize = m_context.nSquareSize;
        if ((int)m_slots.size() == m_nCapacity && !Grow())
        {
            if (m_nCapacity == 0)
                return -1;
            m_slots.clear();
        }
        const int k = (int)m_slots.size();
        m_slots[look] = k;
        m_dc.BitBlt(k * nSize, 0, nSize, nSize, pDCSquare, 0, 0, SRCCOPY);
        return k;
    }
    CDC* GetDC() { return &m_dc; }

private:
    BOOL Grow()
    {
        const int nSize = m_context.nSquareSize;
        int nCapacity = m_nCapacity < 16 ? 16 : m_nCapacity * 2;
        if ((double)nCapacity * nSize * nSize > kMaxStripPixels)
            nCapacity = kMaxStripPixels / (nSize * nSize);
        if (nCapacity <= m_nCapacity)
            return FALSE;
        BITMAPINFO bmi = {};
        bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bmi.bmiHeader.biWidth = nCapacity * nSize;
        bmi.bmiHeader.biHeight = -nSize;
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 32;
        bmi.bmiHeader.biCompression = BI_RGB;
        void* pBits = NULL;
        HBITMAP hStrip = ::CreateDIBSection(m_dc.GetSafeHdc(), &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
        if (hStrip == NULL)
            return FALSE;
        CDC dcNew;
        if (!dcNew.CreateCompatibleDC(&m_dc))
        {
            ::DeleteObject(hStrip);
            return FALSE;
        }
        HGDIOBJ hOldNew = ::SelectObject(dcNew.GetSafeHdc(), hStrip);
        if (m_hStrip != NULL)
            dcNew.BitBlt(0, 0, m_nCapacity * nSize, nSize, &m_dc, 0, 0, SRCCOPY);
        ::SelectObject(dcNew.GetSafeHdc(), hOldNew);
        ReleaseStrip();
        m_hOldStrip = ::SelectObject(m_dc.GetSafeHdc(), hStrip);
        m_hStrip = hStrip;
        m_nCapacity = nCapacity;
        return TRUE;
    }
    void ReleaseStrip()
    {
        if (m_hStrip != NULL)
        {
            ::SelectObject(m_dc.GetSafeHdc(), m_hOldStrip);
            ::DeleteObject(m_hStrip);
            m_hStrip = NULL;
        }
        m_nCapacity = 0;
    }
    void Reset()
    {
        ReleaseStrip();
        m_slots.clear();
        if (m_dc.GetSafeHdc() != NULL)
            m_dc.DeleteDC();
    }

    PictureContext m_context;
    CDC m_dc;
    HBITMAP m_hStrip;
    HGDIOBJ m_hOldStrip;
    int m_nCapacity;
    std::unordered_map<SquareLook, int, SquareLookHash> m_slots;
};

CSquarePictures& SquarePictures()
{
    static CSquarePictures s_pictures;
    return s_pictures;
}

// Draws the squares of the grid into the board picture. Each kind of square
// is drawn once by the painter and kept; squares alike are copied from the
// kept picture.
void DrawSquares(const CHTDataContainer* pContainer, CDC* pDCBoard, CDC* pDCReference, int nSquareSize,
                 int nRenderMode, int nLeft, int nTop)
{
    CDC dcSquare;
    CBitmap bmpSquare;
    if (!dcSquare.CreateCompatibleDC(pDCReference) ||
        !bmpSquare.CreateCompatibleBitmap(pDCReference, nSquareSize, nSquareSize))
    {
        TRACE("DrawBoard: no square picture of %d pixels\n", nSquareSize);
        return;
    }
    CBitmap* pOldSquareBitmap = dcSquare.SelectObject(&bmpSquare);
    const RECT rcSquare = {0, 0, nSquareSize, nSquareSize};
    CHTSquarePainter_Default painter(pContainer, nRenderMode == htrmPrint, &dcSquare, rcSquare,
                                     nRenderMode == htrmPreview);
    const BOOL bDebugLetters = nRenderMode != htrmPreview && g_ApplicationInfo.m_bDisplayDebugInfo;

    // The number font's height stands for its size: the painter may have
    // made it smaller than the profile's size for the grid's widest number.
    const PictureContext context = {nSquareSize,
                                    nRenderMode == htrmPrint || nRenderMode == htrmPreview ? nRenderMode : htrmScreen,
                                    (int)painter.m_lfNumber.lfHeight,
                                    painter.m_nSmallSize,
                                    dcSquare.GetDeviceCaps(LOGPIXELSY),
                                    bDebugLetters};
    CSquarePictures& pictures = SquarePictures();
    const BOOL bKeep = pictures.Prepare(context, &dcSquare);

    CHTSquareData square;
    for (int i = 0; i < pContainer->m_nColumns; i++)
    {
        const int x = nLeft + i * nSquareSize;
        for (int j = 0; j < pContainer->m_nRows; j++)
        {
            if (!pContainer->GetSquare(i, j, square))
                continue;
            const int y = nTop + j * nSquareSize;
            int nSlot = -1;
            const BOOL bKnownState = square.m_nPlayerState >= htsUndecided && square.m_nPlayerState <= htsShaded;
            if (bKeep && bKnownState)
            {
                const SquareLook look = {square.m_nPlayerState,
                                         bDebugLetters ? square.m_nSolutionState : 0,
                                         square.m_nNumber,
                                         painter.GetFillColour(square),
                                         painter.GetNumberColour(square),
                                         square.m_crSquareBorder,
                                         square.m_nPlayerState == htsShaded && !square.m_bAdjacencyMark &&
                                             !square.m_bIslandMark};
                nSlot = pictures.Find(look);
                if (nSlot < 0)
                {
                    painter.DrawSquare(square);
                    nSlot = pictures.Add(look, &dcSquare);
                    if (nSlot < 0)
                    {
                        pDCBoard->BitBlt(x, y, nSquareSize, nSquareSize, &dcSquare, 0, 0, SRCCOPY);
                        continue;
                    }
                }
                pDCBoard->BitBlt(x, y, nSquareSize, nSquareSize, pictures.GetDC(), nSlot * nSquareSize, 0, SRCCOPY);
                continue;
            }
            // A state the painter does not draw leaves the square picture as
            // it was.
            painter.DrawSquare(square);
            pDCBoard->BitBlt(x, y, nSquareSize, nSquareSize, &dcSquare, 0, 0, SRCCOPY);
        }
    }
    dcSquare.SelectObject(pOldSquareBitmap);
}

// Where the pause picture goes along one side of the board of nSquares
// squares: over squares 3 to 5 when the board has at least six, otherwise
// centred, so that it never reaches past the board's edge. Returns the
// offset from the board's edge; nSide is the picture's side.
int PausePictureOffset(int nSquares, int nSquareSize, int nSide)
{
    if (nSquares >= 6)
        return 3 * nSquareSize;
    return (nSquares * nSquareSize - nSide) / 2;
}

// The pause picture, three squares wide and high, over the squares of
// columns and rows 3 to 5; on a board with fewer than six columns or rows it
// is centred along that side, and on one with fewer than three it shrinks
// to the board's shorter side.
void DrawPausePicture(CDC* pDCBoard, CDC* pDCReference, int nColumns, int nRows, int nSquareSize, int nLeft,
                      int nTop)
{
    HBITMAP hPause = ::LoadBitmap(AfxGetResourceHandle(), MAKEINTRESOURCE(IDB_PAUSE_PICTURE));
    if (hPause == NULL)
    {
        TRACE("DrawBoard: the pause picture is missing\n");
        return;
    }
    const int nSquares = nColumns < nRows ? nColumns : nRows;
    const int nSide = (nSquares < 3 ? nSquares : 3) * nSquareSize;
    const int x = nLeft + PausePictureOffset(nColumns, nSquareSize, nSide);
    const int y = nTop + PausePictureOffset(nRows, nSquareSize, nSide);
    BITMAP bm;
    ::GetObject(hPause, sizeof(bm), &bm);
    CDC dcPause;
    if (dcPause.CreateCompatibleDC(pDCReference))
    {
        HGDIOBJ hOld = ::SelectObject(dcPause.GetSafeHdc(), hPause);
        const int nOldMode = pDCBoard->SetStretchBltMode(COLORONCOLOR);
        pDCBoard->StretchBlt(x, y, nSide, nSide, &dcPause, 0, 0, bm.bmWidth, bm.bmHeight, SRCCOPY);
        pDCBoard->SetStretchBltMode(nOldMode);
        ::SelectObject(dcPause.GetSafeHdc(), hOld);
    }
    ::DeleteObject(hPause);
}

// The whole board: background, squares or pause picture, and the border.
void ComposeBoard(const CHTDataContainer* pContainer, CDC* pDCBoard, CDC* pDCReference, const CRect& rcBoard,
                  int nSquareSize, int nRenderMode, int nLeft, int nTop, BOOL bPaused)
{
    // The grey background with its outline (grey on paper, black elsewhere).
    {
        CPen pen(PS_SOLID, 1, nRenderMode == htrmPrint ? HT_BOARD_BACK_COLOUR : RGB(0, 0, 0));
        CBrush brush(HT_BOARD_BACK_COLOUR);
        CPen* pOldPen = pDCBoard->SelectObject(&pen);
        CBrush* pOldBrush = pDCBoard->SelectObject(&brush);
        pDCBoard->Rectangle(&rcBoard);
        pDCBoard->SelectObject(pOldBrush);
        pDCBoard->SelectObject(pOldPen);
    }
    if (!bPaused)
        DrawSquares(pContainer, pDCBoard, pDCReference, nSquareSize, nRenderMode, nLeft, nTop);
    else
        DrawPausePicture(pDCBoard, pDCReference, pContainer->m_nColumns, pContainer->m_nRows, nSquareSize, nLeft,
                         nTop);
    pContainer->DrawBorder(pDCBoard, nLeft, nTop, nSquareSize, FALSE);
}
} // namespace

void AFXAPI DrawBoard(const CHTDataContainer* pContainer, CDC* pDC, const CRect& rcTarget, int nSquareSize,
                      int nRenderMode, int nLeft, int nTop, BOOL bPaused)
{
    if (pContainer == NULL || pDC == NULL || pDC->GetSafeHdc() == NULL)
        return;
    // Nothing to lay out: no squares, and no picture of a board either.
    if (pContainer->m_nColumns < 1 || pContainer->m_nRows < 1 || nSquareSize < 1)
        return;
    const int nWidth = rcTarget.Width();
    const int nHeight = rcTarget.Height();
    if (nWidth < 1 || nHeight < 1)
        return;

    CDCStack stack(pDC);

    if (::GetObjectType(pDC->GetSafeHdc()) != OBJ_DC)
    {
        ComposeBoard(pContainer, pDC, pDC, rcTarget, nSquareSize, nRenderMode, nLeft, nTop, bPaused);
        return;
    }

    CDC dcBoard;
    CBitmap bmpBoard;
    if (!dcBoard.CreateCompatibleDC(pDC) || !bmpBoard.CreateCompatibleBitmap(pDC, nWidth, nHeight))
    {
        TRACE("DrawBoard: no off-screen picture of %d x %d\n", nWidth, nHeight);
        return;
    }
    CBitmap* pOldBoardBitmap = dcBoard.SelectObject(&bmpBoard);
    ComposeBoard(pContainer, &dcBoard, pDC, rcTarget, nSquareSize, nRenderMode, nLeft, nTop, bPaused);
    pDC->BitBlt(0, 0, nWidth, nHeight, &dcBoard, 0, 0, SRCCOPY);
    dcBoard.SelectObject(pOldBoardBitmap);
}
