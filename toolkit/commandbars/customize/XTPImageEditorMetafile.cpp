// Checked reading of metafiles for the button image editor's Import.
#include "XTPImageEditorMetafile.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <utility>

#ifndef ETO_PDY
#define ETO_PDY 0x2000
#endif

namespace
{
const DWORD kPlaceableKey = 0x9AC6CDD7;
// The system builds a region rectangle by rectangle, each joined to all the
// ones before: more rectangles than this would take it seconds.
const DWORD kMaxRegionRects = 4096;
// What building a region of n rectangles costs, in the units of the drawing
// cost (about a microsecond): the joins grow with the square of n.
inline double RegionCost(ULONGLONG n)
{
    return (double)n + (double)n * (double)n * 0.01;
}
// A brush or pen with a bitmap pattern: the system converts the whole
// pattern when the object is made and again at every fill or stroke with
// it; the cost a pixel of it.
const double kPatternPixelCost = 0.01;
// Clip regions: the rectangles the system's region of the clip may hold
// after the records, as they are counted here, at most.
const double kMaxClipRects = 16384;
// What changing the clip costs a rectangle of the clip region it works on,
// and what drawing through it costs a rectangle, in the units of the
// drawing cost.
const double kClipRectCost = 0.01;
const double kClippedDrawCost = 0.002;
// Filling a figure: the system turns it into spans row by row, and sorts
// the edges that cross each row against each other, so that many edges on
// the same rows cost with their square: S x S / H units for edges crossing
// S rows in all over a figure of H rows, on the device.
const double kFillEdgeCost = 0.0012;
// Painting pixel by pixel (gradients, blends, copies through a mask or a
// parallelogram): the cost of a pixel of the destination, and of one shape.
const double kAreaPixelCost = 0.02;
const double kAreaShapeCost = 5;
// What the system's player does for one blend, masked copy or copy onto a
// parallelogram whatever its size, measured in the renderer: a blend makes
// a DC and a bitmap of its source (about 30 us in all), a masked copy two
// DCs, three bitmaps and a pattern brush of its mask and copies several
// times between them (about 90 us), a parallelogram copy that and a
// transform (about 110 us). On top of what every drawing record and every
// shape painted pixel by pixel costs.
const double kBlendRecordCost = 26;
// A copy with a source bitmap (BitBlt, StretchBlt): the player makes a DC,
// a brush to clear it and a bitmap of the source for each, whatever the
// raster operation (about 35 us in all, measured in the renderer).
const double kSourceCopyRecordCost = 34;
// The bitmap a copy or a setting of bits reads is converted pixel by pixel
// (and, stretched, read again): the cost of a pixel of it.
const double kCopyPixelCost = 0.012;
// A two-colour brush is made as a bitmap set from the record's bits, then
// a brush of it: the cost of a pixel of it as it is made.
const double kMonoBrushPixelCost = 0.013;
const double kMaskedCopyRecordCost = 90;
const double kParallelogramRecordCost = 110;
// A masked or parallelogram copy works through bitmaps of its rectangle in
// logical units, whatever the transform makes of it on the device (a
// shrinking transform saves nothing): the cost of a pixel of it.
const double kMaskedCopyPixelCost = 0.015;
// The mask becomes a pattern brush, converted whole for each copy: the cost
// of a pixel of it beyond what reading a bitmap costs.
const double kMaskPixelCost = 0.017;
// Where a masked or parallelogram copy names no mask, this system's player
// makes one of the first bytes of the record as if they were a bitmap
// header: as wide as the record's size and as high as the left side of its
// bounds. The cost of a pixel of that mask.
const double kMadeMaskPixelCost = 0.01;
// Most palette entries a record may make or set.
const DWORD kMaxPaletteEntries = 1024;
const size_t kPlaceableSize = 22;
const size_t kMetaHeaderSize = 18;
const size_t kEnhHeaderSize = 88;

// TRUE under Wine (ntdll answers wine_get_version). Asked here rather than
// of the class library's window code, which the metafile renderer would
// otherwise load with all the libraries it needs.
bool RunningOnWine()
{
    static const bool bWine = ::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "wine_get_version") != NULL;
    return bWine;
}

// Little-endian reads from a block whose length the caller has checked.
inline WORD U16(const BYTE* p)
{
    return (WORD)(p[0] | (p[1] << 8));
}
inline short I16(const BYTE* p)
{
    return (short)U16(p);
}
inline DWORD U32(const BYTE* p)
{
    return (DWORD)p[0] | ((DWORD)p[1] << 8) | ((DWORD)p[2] << 16) | ((DWORD)p[3] << 24);
}
inline LONG I32(const BYTE* p)
{
    return (LONG)U32(p);
}
inline float F32(const BYTE* p)
{
    DWORD dw = U32(p);
    float f;
    memcpy(&f, &dw, sizeof(f));
    return f;
}

// A rectangle of logical coordinates grown point by point.
struct CBox
{
    CBox() : bEmpty(true), l(0), t(0), r(0), b(0) {}
    void Add(LONGLONG x, LONGLONG y)
    {
        if (bEmpty)
        {
            l = r = x;
            t = b = y;
            bEmpty = false;
            return;
        }
        l = std::min(l, x);
        r = std::max(r, x);
        t = std::min(t, y);
        b = std::max(b, y);
    }
    bool bEmpty;
    LONGLONG l, t, r, b;
};

// What playing one record asks of the system.
// Besides where it draws, what its drawing costs: the system strokes each
// line and each curve (ellipse, arc, rounded corner) in time that grows with
// the pen's width, a curve far more than a line, and renders characters at
// the font's size.
struct CRecordCost
{
    CRecordCost()
        : bFromCurrent(false), bDraws(false), bFills(false), nPattern(0), nVector(0), dLines(0), dCurves(0),
          nPixels(0), nCopyPixels(0), nChars(0), dLength(0), dRows(0), dHeight(0), bPathFill(false), bWiden(false),
          bEndsPath(false), dArea(0), dShapes(0)
    {
    }
    // A line from one logical point to the next.
    void Segment(LONGLONG dx, LONGLONG dy)
    {
        dLines += 1;
        dLength += std::hypot((double)dx, (double)dy);
        dRows += std::fabs((double)dy);
    }
    // The outline of a box: four lines, or one curve.
    void Outline(bool bCurve, LONGLONG cx, LONGLONG cy)
    {
        if (bCurve)
            dCurves += 1;
        else
            dLines += 4;
        dLength += 2 * (std::fabs((double)cx) + std::fabs((double)cy));
        dRows += 2 * std::fabs((double)cy);
    }
    CBox box;           // the logical points it draws through
    bool bFromCurrent;  // it also starts at the current position
    bool bDraws;        // it draws (with the selected pen, brush and font)
    bool bFills;        // it fills with the selected brush
    ULONGLONG nPattern; // pixels of the pattern of a brush it names itself
    LONGLONG nVector;   // a logical length (round corner, region frame) that must stay small
    double dLines;      // lines it strokes
    double dCurves;     // curves it strokes
    ULONGLONG nPixels;  // pixels of the masks and rectangles of regions it reads
    ULONGLONG nCopyPixels;   // pixels of the bitmap a copy or a setting of bits converts
    DWORD nChars;       // characters it writes
    double dLength;     // logical length of its lines and outlines
    double dRows;       // logical rows its edges cross, added up (for a fill)
    double dHeight;     // logical height of what it fills
    bool bPathFill;     // it fills the path, or makes the clip of it
    bool bWiden;        // it widens the path with the selected pen
    bool bEndsPath;     // the path is gone once it is played
    double dArea;       // logical area it paints pixel by pixel
    double dShapes;     // shapes it paints pixel by pixel
};

enum ObjectKind
{
    objFree = 0,
    objPen,
    objBrush,
    objFont,
    objRegion,
    objPalette
};

struct CObject
{
    CObject() : nKind(objFree), nSize(0), nPattern(0), dDash(0), bDashOnDevice(false) {}
    int nKind;
    LONGLONG nSize;       // pen width or font size, in logical units
    ULONGLONG nPattern;   // pixels of a brush's or pen's pattern bitmap
    CBox box;             // a region's extent
    double dDash;         // a pen's own dashes: their length in all; 0 for none
    bool bDashOnDevice;   // those dashes are in device pixels (a cosmetic pen)
};

// What a saved DC state brings back when it is restored.
struct CSavedState
{
    LONGLONG nPenSize;
    LONGLONG nFontSize;
    ULONGLONG nPenPattern;
    ULONGLONG nBrushPattern;
    double dPenDash;
    bool bPenDashOnDevice;
    double dClipRects;
    DWORD nPalette;
    LONGLONG nPaletteEntries;
};

// The path being made or last made: what it holds for the records that
// stroke, fill, widen it or make the clip of it.
struct CPathCost
{
    CPathCost() : dLines(0), dCurves(0), dLength(0), dRows(0), nPoints(0) {}
    double dLines;
    double dCurves;
    double dLength;
    double dRows;
    DWORD nPoints;
    CBox box;
};

// Walks the records of one metafile in playing order, checks each against
// its size, the header and the objects made before it, and says what each
// costs. The same walk serves the check of the whole file and the playing,
// so both see the same object table.
class CMetafileWalker
{
public:
    explicit CMetafileWalker(const XTP_METAFILE_LIMITS& limits)
        : m_nBytes(0), m_nMetaOffset(0), m_nMetaBytes(0), m_nMaxRecord(0), m_limits(limits), m_nRecords(0),
          m_nPoints(0), m_nChars(0), m_nPenSize(0), m_nFontSize(0), m_nPenPattern(0), m_nBrushPattern(0),
          m_dFixedCost(0), m_nHeaderRecords(0), m_nKind(0), m_nRegionRects(0), m_dPenDash(0),
          m_bPenDashOnDevice(false), m_bInPath(false), m_dClipRects(0), m_nBytesLeft(0),
          m_bMadeMasks(RunningOnWine()), m_nPalette(0), m_nPaletteEntries(-1)
    {
        m_rcPlaceable.left = m_rcPlaceable.top = m_rcPlaceable.right = m_rcPlaceable.bottom = 0;
    }

    bool StartEnhanced(const BYTE* p, size_t n);
    bool StartPlaceable(const BYTE* p, size_t n);
    // One record of nSize bytes; false, with the reason, when it is refused.
    bool EnhRecord(const BYTE* r, DWORD nSize, CRecordCost& cost);
    bool MetaRecord(const BYTE* r, DWORD nSize, CRecordCost& cost);

    // For an enhanced metafile: the bytes from its header to its end record.
    DWORD m_nBytes;
    // For a placeable metafile: its frame in logical units.
    RECT m_rcPlaceable;
    // The metafile's own bytes (after the placeable header) and their length.
    size_t m_nMetaOffset;
    size_t m_nMetaBytes;
    DWORD m_nMaxRecord;

    LONGLONG PenSize() const { return m_nPenSize; }
    // What the records read so far cost wherever they are drawn: regions
    // built and pattern bitmaps converted.
    double FixedCost() const { return m_dFixedCost; }
    DWORD Records() const { return m_nRecords; }
    LONGLONG FontSize() const { return m_nFontSize; }
    // The selected pen's own dashes, their length in all (0 for none), and
    // whether in device pixels.
    double PenDash() const { return m_dPenDash; }
    bool PenDashOnDevice() const { return m_bPenDashOnDevice; }
    CString m_strProblem;

private:
    bool Fail(LPCTSTR lpszFormat, ...);
    bool Count(DWORD nPoints, DWORD nChars);
    bool AddCost(double dCost);
    // The cost of what a drawing record does with the patterns of the
    // selected pen and brush and of a brush it names itself.
    bool PatternCost(const CRecordCost& cost);
    bool CheckDib(const BYTE* pBmi, ULONGLONG cbBmi, const BYTE* pBits, ULONGLONG cbBits, UINT iUsage,
                  bool bPacked, LONG* pcx, LONG* pcy, ULONGLONG nRows = ULLONG_MAX, bool bMask = false,
                  ULONGLONG* pcbImage = NULL);
    bool SourceInside(LONGLONG x, LONGLONG y, LONGLONG cx, LONGLONG cy, LONG nWidth, LONG nHeight);
    bool EnhIndex(DWORD ih, int nKind, bool bStockAllowed);
    bool EnhCreate(DWORD ih, int nKind, LONGLONG nSize, ULONGLONG nPattern = 0);
    bool EnhRegion(const BYTE* r, DWORD nSize, size_t nAt, DWORD cbRgn, CBox* pBox);
    bool EnhPoly(const BYTE* r, DWORD nSize, bool b16, int nMode, CRecordCost& cost);
    bool EnhRecordBody(const BYTE* r, DWORD nSize, CRecordCost& cost);
    bool MetaRecordBody(const BYTE* r, DWORD nSize, CRecordCost& cost);
    bool MetaIndex(int nIndex, int nKind);
    bool MetaCreate(int nKind, LONGLONG nSize, const CBox* pBox = NULL, ULONGLONG nPattern = 0);
    bool SaveDC();
    bool RestoreDC(LONG nRelative);
    void Select(const CObject& obj);
    // What a record adds to the path being made, and what the records that
    // use the path take from it.
    void AddToPath(const CRecordCost& cost, DWORD nPoints);
    void UsePath(CRecordCost& cost, bool bStroke, bool bFill);
    // A change of the clip: its cost on the clip region there is, and the
    // rectangles that region may hold after it.
    bool ChangeClip(double dRectsAfter);
    bool PaletteEntries(DWORD nEntries, ULONGLONG nRoom);
    bool CheckBlitSource(const BYTE* r, DWORD nSize, DWORD nFixed, DWORD offUsage, DWORD offXform, LONGLONG xSrc,
                         LONGLONG ySrc, LONGLONG cxSrc, LONGLONG cySrc, bool bRequired, CRecordCost& cost,
                         bool bBitsFit = false);
    bool CheckBlitMask(const BYTE* r, DWORD nSize, DWORD nFixed, DWORD offMask, LONGLONG cx, LONGLONG cy,
                       CRecordCost& cost);
    // Whether what this system's player reads for a bitmap it makes of a
    // copy record's own bytes (header, colours and bits from the record's
    // start) lies inside the record; it reads nothing for a header it does
    // not take.
    bool MadeBitmapInside(const BYTE* r, DWORD nSize, DWORD iUsage) const;

    const XTP_METAFILE_LIMITS& m_limits;
    DWORD m_nRecords;
    DWORD m_nPoints;
    DWORD m_nChars;
    // The pen and font sizes of each saved state, restored with it.
    std::vector<CSavedState> m_saved;
    std::vector<CObject> m_objects;
    LONGLONG m_nPenSize;
    LONGLONG m_nFontSize;
    ULONGLONG m_nPenPattern;
    ULONGLONG m_nBrushPattern;
    double m_dFixedCost;
    DWORD m_nHeaderRecords;
    DWORD m_nKind;   // the kind or function of the record being read
    DWORD m_nRegionRects;   // rectangles of the last region read
    double m_dPenDash;
    bool m_bPenDashOnDevice;
    bool m_bInPath;         // between the records that begin and end a path
    CPathCost m_path;
    double m_dClipRects;    // rectangles the clip region may hold
    ULONGLONG m_nBytesLeft; // bytes of the enhanced metafile from the record read on
    // The system's player makes a mask of a masked or parallelogram copy's
    // own bytes when it names none, and a source of a masked copy's when
    // it names none (under Wine).
    bool m_bMadeMasks;
    // The palette the file selected (its slot, 0 for the system's own) and
    // its entries (-1 for the system's own).
    DWORD m_nPalette;
    LONGLONG m_nPaletteEntries;
};

bool CMetafileWalker::Fail(LPCTSTR lpszFormat, ...)
{
    va_list args;
    va_start(args, lpszFormat);
    CString strReason;
    strReason.FormatV(lpszFormat, args);
    va_end(args);
    m_strProblem.Format(_T("record %lu (kind 0x%lX): %s"), (unsigned long)m_nRecords, (unsigned long)m_nKind,
                        (LPCTSTR)strReason);
    return false;
}

bool CMetafileWalker::Count(DWORD nPoints, DWORD nChars)
{
    if (nPoints > m_limits.nMaxPoints - m_nPoints)
        return Fail(_T("more than %lu points in the file"), (unsigned long)m_limits.nMaxPoints);
    if (nChars > m_limits.nMaxChars - m_nChars)
        return Fail(_T("more than %lu characters in the file"), (unsigned long)m_limits.nMaxChars);
    m_nPoints += nPoints;
    m_nChars += nChars;
    return true;
}

bool CMetafileWalker::AddCost(double dCost)
{
    m_dFixedCost += dCost;
    if (!(m_dFixedCost <= (double)m_limits.nMaxDrawCost))
        return Fail(_T("drawing the picture would cost more than the %lu allowed"),
                    (unsigned long)m_limits.nMaxDrawCost);
    return true;
}

bool CMetafileWalker::PatternCost(const CRecordCost& cost)
{
    ULONGLONG nPixels = cost.nPattern;
    if (cost.bFills)
        nPixels += m_nBrushPattern;
    if (cost.bDraws && (cost.dLines > 0 || cost.dCurves > 0))
        nPixels += m_nPenPattern;
    return nPixels == 0 || AddCost((double)nPixels * kPatternPixelCost);
}

// A device-independent bitmap: its header (cbBmi bytes, or the whole block
// when bPacked) and bits; the bitmap must be of a size the limits allow and
// the bits of its first nRows rows (all by default) there. A mask (bMask)
// may also come without colours (DIB_PAL_INDICES), as the recorder writes it.
bool CMetafileWalker::CheckDib(const BYTE* pBmi, ULONGLONG cbBmi, const BYTE* pBits, ULONGLONG cbBits, UINT iUsage,
                               bool bPacked, LONG* pcx, LONG* pcy, ULONGLONG nRows, bool bMask, ULONGLONG* pcbImage)
{
    if (cbBmi < sizeof(BITMAPINFOHEADER))
        return Fail(_T("a bitmap header of %lu bytes"), (unsigned long)cbBmi);
    const DWORD biSize = U32(pBmi);
    const LONG cx = I32(pBmi + 4);
    const LONG cyRaw = I32(pBmi + 8);
    const WORD nPlanes = U16(pBmi + 12);
    const WORD nBits = U16(pBmi + 14);
    const DWORD nCompression = U32(pBmi + 16);
    const DWORD nClrUsed = U32(pBmi + 32);
    if (biSize < sizeof(BITMAPINFOHEADER) || biSize > cbBmi || biSize > 124)
        return Fail(_T("a bitmap header that says it is %lu bytes"), (unsigned long)biSize);
    if (cyRaw == LONG_MIN || cx <= 0 || cyRaw == 0)
        return Fail(_T("a bitmap of %ld x %ld pixels"), (long)cx, (long)cyRaw);
    const LONG cy = cyRaw < 0 ? -cyRaw : cyRaw;
    if (cx > m_limits.nMaxBitmapSide || cy > m_limits.nMaxBitmapSide ||
        (ULONGLONG)cx * (ULONGLONG)cy > m_limits.nMaxBitmapPixels)
        return Fail(_T("a bitmap of %ld x %ld pixels is too large"), (long)cx, (long)cy);
    if (nPlanes != 1)
        return Fail(_T("a bitmap of %u planes"), (unsigned)nPlanes);
    if (nBits != 1 && nBits != 4 && nBits != 8 && nBits != 16 && nBits != 24 && nBits != 32)
        return Fail(_T("a bitmap of %u bits a pixel"), (unsigned)nBits);
    if (nCompression != BI_RGB && !(nCompression == BI_BITFIELDS && (nBits == 16 || nBits == 32)))
        return Fail(_T("a bitmap compressed in the form %lu"), (unsigned long)nCompression);
    const UINT kPalIndices = 2;
    if (iUsage != DIB_RGB_COLORS && iUsage != DIB_PAL_COLORS && !(bMask && iUsage == kPalIndices))
        return Fail(_T("a bitmap whose colours are of the kind %u"), iUsage);
    ULONGLONG nColors = 0;
    if (nBits <= 8)
    {
        const DWORD nMax = 1u << nBits;
        if (nClrUsed > nMax)
            return Fail(_T("a bitmap of %u bits a pixel with %lu colours"), (unsigned)nBits, (unsigned long)nClrUsed);
        nColors = nClrUsed != 0 ? nClrUsed : nMax;
    }
    else
    {
        if (nClrUsed > 256)
            return Fail(_T("a bitmap with %lu colours"), (unsigned long)nClrUsed);
        nColors = nClrUsed;
    }
    ULONGLONG nTable = iUsage == kPalIndices ? 0 : nColors * (iUsage == DIB_RGB_COLORS ? 4 : 2);
    // The three colour masks follow a header too short to hold them; the
    // system reads them there whatever size the header says.
    if (nCompression == BI_BITFIELDS && biSize < 56)
        nTable += 12;
    const ULONGLONG nHeader = (ULONGLONG)biSize + nTable;
    if (nHeader > cbBmi)
        return Fail(_T("a bitmap whose colours lie past its header"));
    const ULONGLONG nStride = (((ULONGLONG)cx * nBits + 31) / 32) * 4;
    const ULONGLONG nNeeded = nStride * std::min((ULONGLONG)cy, nRows);
    if (bPacked)
        cbBits = cbBmi - nHeader;
    else if (pBits == NULL)
        return Fail(_T("a bitmap without bits"));
    if (cbBits < nNeeded)
        return Fail(_T("a bitmap of %ld x %ld pixels with %lu bytes of bits"), (long)cx, (long)cy,
                    (unsigned long)cbBits);
    // The three colour masks stand right after the first 40 bytes of the
    // header, inside it or after it; the system works out each colour from
    // its mask, and an empty one leaves it nothing to work with.
    if (nCompression == BI_BITFIELDS && (U32(pBmi + 40) == 0 || U32(pBmi + 44) == 0 || U32(pBmi + 48) == 0))
        return Fail(_T("a bitmap whose colour masks are empty"));
    if (pcbImage != NULL)
        *pcbImage = nStride * (ULONGLONG)cy;
    if (pcx != NULL)
        *pcx = cx;
    if (pcy != NULL)
        *pcy = cy;
    return true;
}

bool CMetafileWalker::SourceInside(LONGLONG x, LONGLONG y, LONGLONG cx, LONGLONG cy, LONG nWidth, LONG nHeight)
{
    const LONGLONG x0 = std::min(x, x + cx), x1 = std::max(x, x + cx);
    const LONGLONG y0 = std::min(y, y + cy), y1 = std::max(y, y + cy);
    if (x0 < 0 || y0 < 0 || x1 > nWidth || y1 > nHeight)
        return Fail(_T("a source rectangle outside its %ld x %ld bitmap"), (long)nWidth, (long)nHeight);
    return true;
}

// The source bitmap of a copy record: its colour kind, header and bits at
// offUsage (usage, header offset and size, bits offset and size), the source
// transform at offXform, and the source rectangle inside the bitmap. A copy
// whose raster operation needs no source may have none (bRequired false).
bool CMetafileWalker::CheckBlitSource(const BYTE* r, DWORD nSize, DWORD nFixed, DWORD offUsage, DWORD offXform,
                                      LONGLONG xSrc, LONGLONG ySrc, LONGLONG cxSrc, LONGLONG cySrc, bool bRequired,
                                      CRecordCost& cost, bool bBitsFit)
{
    for (int i = 0; i < 6; i++)
    {
        if (!std::isfinite(F32(r + offXform + i * 4)))
            return Fail(_T("a source transform that is not a finite number"));
    }
    const DWORD iUsage = U32(r + offUsage), offBmi = U32(r + offUsage + 4), cbBmi = U32(r + offUsage + 8),
                offBits = U32(r + offUsage + 12), cbBits = U32(r + offUsage + 16);
    if (cbBmi == 0)
    {
        if (bRequired)
            return Fail(_T("a copy without its source bitmap"));
        if (offBmi != 0 || offBits != 0 || cbBits != 0)
            return Fail(_T("a bitmap of no bytes at offset %lu"), (unsigned long)offBmi);
        // This system's player makes a source of the record's first bytes.
        if (m_bMadeMasks && !MadeBitmapInside(r, nSize, iUsage))
            return Fail(_T("a copy without a source, whose own bytes the player reads as a bitmap past the record"));
        return true;
    }
    if (offBmi < nFixed || offBits < nFixed || (ULONGLONG)offBmi + cbBmi > nSize || (ULONGLONG)offBits + cbBits > nSize)
        return Fail(_T("a bitmap past the end of the record"));
    LONG cx = 0, cy = 0;
    ULONGLONG cbImage = 0;
    if (!CheckDib(r + offBmi, cbBmi, r + offBits, cbBits, iUsage, false, &cx, &cy, ULLONG_MAX, false, &cbImage))
        return false;
    // The blend's player copies all the bits the record counts into a
    // bitmap of the header's size: no more may be there.
    if (bBitsFit && cbBits > cbImage)
        return Fail(_T("%lu bytes of bits for a bitmap of %ld x %ld pixels that holds %llu"), (unsigned long)cbBits,
                    (long)cx, (long)cy, (unsigned long long)cbImage);
    // Only the plain source transform that GDI records for a copy between DCs.
    const BYTE* pXform = r + offXform;
    if (F32(pXform) != 1.0f || F32(pXform + 4) != 0.0f || F32(pXform + 8) != 0.0f || F32(pXform + 12) != 1.0f ||
        F32(pXform + 16) != 0.0f || F32(pXform + 20) != 0.0f)
        return Fail(_T("a copy through a source transform"));
    if (!SourceInside(xSrc, ySrc, cxSrc, cySrc, cx, cy))
        return false;
    cost.nPixels += (ULONGLONG)cx * (ULONGLONG)cy;
    return true;
}

// The mask of a copy record at offMask (x, y, usage, header offset and size,
// bits offset and size): none, or a two-colour bitmap holding the cx x cy
// rectangle at x, y.
bool CMetafileWalker::CheckBlitMask(const BYTE* r, DWORD nSize, DWORD nFixed, DWORD offMask, LONGLONG cx, LONGLONG cy,
                                    CRecordCost& cost)
{
    const LONG xMask = I32(r + offMask), yMask = I32(r + offMask + 4);
    const DWORD iUsage = U32(r + offMask + 8), offBmi = U32(r + offMask + 12), cbBmi = U32(r + offMask + 16),
                offBits = U32(r + offMask + 20), cbBits = U32(r + offMask + 24);
    if (cbBmi == 0)
    {
        if (offBmi != 0 || offBits != 0 || cbBits != 0)
            return Fail(_T("a mask of no bytes at offset %lu"), (unsigned long)offBmi);
        if (!m_bMadeMasks)
            return true;
        // The mask this system's player makes of the record's first bytes:
        // as wide as the record's size and as high as the left of the
        // bounds, whichever its sign; with a negative left it reads the
        // mask's rows past the record.
        const LONG nLeft = I32(r + 8);
        if (nLeft < 0)
            return Fail(_T("a copy without a mask whose bounds begin at %ld, which the player reads as a mask past ")
                        _T("the record"),
                        (long)nLeft);
        if (!MadeBitmapInside(r, nSize, iUsage))
            return Fail(_T("a copy without a mask, whose own bytes the player reads as a mask past the record"));
        return AddCost((double)nSize * (double)nLeft * kMadeMaskPixelCost);
    }
    if (offBmi < nFixed || offBits < nFixed || (ULONGLONG)offBmi + cbBmi > nSize || (ULONGLONG)offBits + cbBits > nSize)
        return Fail(_T("a mask past the end of the record"));
    LONG cxMask = 0, cyMask = 0;
    if (!CheckDib(r + offBmi, cbBmi, r + offBits, cbBits, iUsage, false, &cxMask, &cyMask, ULLONG_MAX, true))
        return false;
    if (U16(r + offBmi + 14) != 1)
        return Fail(_T("a mask of more than two colours"));
    if (cx < 0 || cy < 0 || !SourceInside(xMask, yMask, cx, cy, cxMask, cyMask))
        return cx < 0 || cy < 0 ? Fail(_T("a mask rectangle of negative size")) : false;
    cost.nPixels += (ULONGLONG)cxMask * (ULONGLONG)cyMask;
    return AddCost((double)cxMask * (double)cyMask * kMaskPixelCost);
}

bool CMetafileWalker::MadeBitmapInside(const BYTE* r, DWORD nSize, DWORD iUsage) const
{
    // As a bitmap header: its size is the record's kind, its width the
    // record's size, its height the left of the bounds, its planes and bits
    // a pixel the two halves of the top, its compression the right.
    const ULONGLONG biSize = U32(r), cx = nSize;
    const LONGLONG cy = std::llabs((LONGLONG)I32(r + 8));
    const WORD nPlanes = U16(r + 12), nBits = U16(r + 14);
    const DWORD nCompression = U32(r + 16);
    const bool bRgb = nCompression == BI_RGB, bFields = nCompression == BI_BITFIELDS;
    // Run-length bits, as many bytes as the bottom of the bounds says, are
    // read for a positive height whatever the planes.
    const bool bRuns = (nCompression == BI_RLE8 && nBits == 8) || (nCompression == BI_RLE4 && nBits == 4);
    const ULONGLONG cbRuns = U32(r + 20);
    const bool bTaken = cy != 0 && (bRuns ? I32(r + 8) > 0 && cbRuns != 0 : nPlanes != 0) &&
                        (bRuns || ((nBits == 1 || nBits == 4 || nBits == 8 || nBits == 24) && bRgb) ||
                         ((nBits == 16 || nBits == 32) && (bRgb || bFields)));
    if (!bTaken)
        return true;
    ULONGLONG nTable = bFields ? 12 : 0;
    if (nBits <= 8)
    {
        const ULONGLONG nUsed = U32(r + 32), nMax = 1ull << nBits;
        nTable = (nUsed != 0 && nUsed < nMax ? nUsed : nMax) * (iUsage == DIB_PAL_COLORS ? 2 : 4);
    }
    const ULONGLONG nStride = ((cx * nBits + 31) / 32) * 4;
    return biSize + nTable <= nSize && (bRuns ? cbRuns : nStride * (ULONGLONG)cy) <= nSize;
}

bool CMetafileWalker::SaveDC()
{
    if (m_saved.size() >= m_limits.nMaxSaveDepth)
        return Fail(_T("more than %lu saved states"), (unsigned long)m_limits.nMaxSaveDepth);
    const CSavedState state = {m_nPenSize, m_nFontSize,        m_nPenPattern, m_nBrushPattern, m_dPenDash,
                               m_bPenDashOnDevice, m_dClipRects, m_nPalette, m_nPaletteEntries};
    m_saved.push_back(state);
    return true;
}

bool CMetafileWalker::RestoreDC(LONG nRelative)
{
    // Only the relative form that GDI records: -1 is the last saved state.
    if (nRelative >= 0 || (ULONGLONG)(-(LONGLONG)nRelative) > m_saved.size())
        return Fail(_T("a restore of state %ld with %lu saved"), (long)nRelative, (unsigned long)m_saved.size());
    // The restored state brings back the pen and font selected in it.
    m_saved.resize(m_saved.size() - (size_t)(-(LONGLONG)nRelative) + 1);
    m_nPenSize = m_saved.back().nPenSize;
    m_nFontSize = m_saved.back().nFontSize;
    m_nPenPattern = m_saved.back().nPenPattern;
    m_nBrushPattern = m_saved.back().nBrushPattern;
    m_dPenDash = m_saved.back().dPenDash;
    m_bPenDashOnDevice = m_saved.back().bPenDashOnDevice;
    m_dClipRects = m_saved.back().dClipRects;
    m_nPalette = m_saved.back().nPalette;
    m_nPaletteEntries = m_saved.back().nPaletteEntries;
    m_saved.pop_back();
    return true;
}

void CMetafileWalker::AddToPath(const CRecordCost& cost, DWORD nPoints)
{
    m_path.dLines += cost.dLines;
    m_path.dCurves += cost.dCurves;
    m_path.dLength += cost.dLength;
    m_path.dRows += cost.dRows;
    m_path.nPoints += nPoints;
    if (!cost.box.bEmpty)
    {
        m_path.box.Add(cost.box.l, cost.box.t);
        m_path.box.Add(cost.box.r, cost.box.b);
    }
}

void CMetafileWalker::UsePath(CRecordCost& cost, bool bStroke, bool bFill)
{
    if (bStroke)
    {
        // Stroked with the pen selected now, whichever pen made it.
        cost.dLines = m_path.dLines;
        cost.dCurves = m_path.dCurves;
        cost.dLength = m_path.dLength;
    }
    if (bFill)
    {
        cost.bPathFill = true;
        cost.dRows = m_path.dRows;
        cost.dHeight = m_path.box.bEmpty ? 0 : (double)(m_path.box.b - m_path.box.t);
    }
}

bool CMetafileWalker::ChangeClip(double dRectsAfter)
{
    if (!AddCost(1 + m_dClipRects * kClipRectCost))
        return false;
    m_dClipRects = std::min(kMaxClipRects, std::max(0.0, dRectsAfter));
    return true;
}

// nEntries palette entries whose bytes must lie within nRoom bytes. A
// palette of none is let through: the player's palette is then refused by
// the system, which draws on without it.
bool CMetafileWalker::PaletteEntries(DWORD nEntries, ULONGLONG nRoom)
{
    if (nEntries > kMaxPaletteEntries)
        return Fail(_T("a palette of %lu entries"), (unsigned long)nEntries);
    if ((ULONGLONG)nEntries * 4 > nRoom)
        return Fail(_T("%lu palette entries past the end of the file"), (unsigned long)nEntries);
    return true;
}

void CMetafileWalker::Select(const CObject& obj)
{
    if (obj.nKind == objPen)
    {
        m_nPenSize = obj.nSize;
        m_nPenPattern = obj.nPattern;
        m_dPenDash = obj.dDash;
        m_bPenDashOnDevice = obj.bDashOnDevice;
    }
    else if (obj.nKind == objBrush)
    {
        m_nBrushPattern = obj.nPattern;
    }
    else if (obj.nKind == objFont)
    {
        m_nFontSize = obj.nSize;
    }
}

// ---------------------------------------------------------------------------
// Enhanced metafiles

bool CMetafileWalker::StartEnhanced(const BYTE* p, size_t n)
{
    m_nRecords = 0;
    if (n < kEnhHeaderSize || U32(p) != EMR_HEADER || U32(p + 40) != ENHMETA_SIGNATURE)
        return Fail(_T("no enhanced metafile header"));
    const DWORD nHeader = U32(p + 4);
    m_nBytes = U32(p + 48);
    if (nHeader < kEnhHeaderSize || nHeader % 4 != 0 || nHeader > n)
        return Fail(_T("a header of %lu bytes"), (unsigned long)nHeader);
    if (m_nBytes > n || m_nBytes < nHeader + 20 || m_nBytes % 4 != 0)
        return Fail(_T("a file that says it has %lu bytes of %lu"), (unsigned long)m_nBytes, (unsigned long)n);
    m_nBytesLeft = m_nBytes;
    m_nHeaderRecords = U32(p + 52);
    if (m_nHeaderRecords < 2 || m_nHeaderRecords > m_limits.nMaxRecords)
        return Fail(_T("a header that counts %lu records"), (unsigned long)m_nHeaderRecords);
    const WORD nHandles = U16(p + 56);
    if (nHandles < 1 || nHandles > m_limits.nMaxHandles)
        return Fail(_T("an object table of %u entries"), (unsigned)nHandles);
    m_objects.assign(nHandles, CObject());
    const DWORD nDescription = U32(p + 60);
    const DWORD offDescription = U32(p + 64);
    if (nDescription != 0 &&
        ((ULONGLONG)offDescription < kEnhHeaderSize || (ULONGLONG)offDescription + (ULONGLONG)nDescription * 2 > nHeader))
        return Fail(_T("a description outside the header"));
    const LONG cxDevice = I32(p + 72), cyDevice = I32(p + 76);
    const LONG cxMillimeters = I32(p + 80), cyMillimeters = I32(p + 84);
    if (cxDevice <= 0 || cyDevice <= 0 || cxMillimeters <= 0 || cyMillimeters <= 0 || cxDevice > 1000000 ||
        cyDevice > 1000000 || cxMillimeters > 1000000 || cyMillimeters > 1000000)
        return Fail(_T("a reference device of %ld x %ld pixels and %ld x %ld mm"), (long)cxDevice, (long)cyDevice,
                    (long)cxMillimeters, (long)cyMillimeters);
    const LONG nLeft = I32(p + 24), nTop = I32(p + 28), nRight = I32(p + 32), nBottom = I32(p + 36);
    if ((LONGLONG)nRight - nLeft <= 0 || (LONGLONG)nBottom - nTop <= 0 || (LONGLONG)nRight - nLeft > 100000000 ||
        (LONGLONG)nBottom - nTop > 100000000)
        return Fail(_T("a frame of %ld, %ld to %ld, %ld"), (long)nLeft, (long)nTop, (long)nRight, (long)nBottom);
    if (nHeader >= 100)
    {
        const DWORD cbPixelFormat = U32(p + 88);
        const DWORD offPixelFormat = U32(p + 92);
        if (cbPixelFormat != 0 && ((ULONGLONG)offPixelFormat < 100 ||
                                   (ULONGLONG)offPixelFormat + cbPixelFormat > nHeader))
            return Fail(_T("a pixel format outside the header"));
    }
    return true;
}

bool CMetafileWalker::EnhIndex(DWORD ih, int nKind, bool bStockAllowed)
{
    if (bStockAllowed && (ih & ENHMETA_STOCK_OBJECT) != 0)
    {
        if ((ih & ~ENHMETA_STOCK_OBJECT) > STOCK_LAST)
            return Fail(_T("stock object %lu"), (unsigned long)(ih & ~ENHMETA_STOCK_OBJECT));
        return true;
    }
    if (ih == 0 || ih >= m_objects.size())
        return Fail(_T("object %lu of a table of %u"), (unsigned long)ih, (unsigned)m_objects.size());
    if (m_objects[ih].nKind == objFree)
        return Fail(_T("object %lu, which was never made"), (unsigned long)ih);
    if (nKind != objFree && m_objects[ih].nKind != nKind)
        return Fail(_T("object %lu is of another kind"), (unsigned long)ih);
    return true;
}

bool CMetafileWalker::EnhCreate(DWORD ih, int nKind, LONGLONG nSize, ULONGLONG nPattern)
{
    if (ih == 0 || ih >= m_objects.size())
        return Fail(_T("object %lu of a table of %u"), (unsigned long)ih, (unsigned)m_objects.size());
    // A slot still in use would lose the object it holds.
    if (m_objects[ih].nKind != objFree)
        return Fail(_T("object %lu made again before it was deleted"), (unsigned long)ih);
    // Nothing of an object deleted from the slot stays with the new one.
    m_objects[ih] = CObject();
    m_objects[ih].nKind = nKind;
    m_objects[ih].nSize = nSize;
    m_objects[ih].nPattern = nPattern;
    return true;
}

// Region data (RGNDATAHEADER and rectangles) of cbRgn bytes at nAt.
bool CMetafileWalker::EnhRegion(const BYTE* r, DWORD nSize, size_t nAt, DWORD cbRgn, CBox* pBox)
{
    if ((ULONGLONG)nAt + cbRgn > nSize)
        return Fail(_T("region data past the end of the record"));
    if (cbRgn < sizeof(RGNDATAHEADER))
        return Fail(_T("region data of %lu bytes"), (unsigned long)cbRgn);
    const BYTE* pRgn = r + nAt;
    const DWORD dwSize = U32(pRgn), iType = U32(pRgn + 4), nCount = U32(pRgn + 8);
    if (dwSize != sizeof(RGNDATAHEADER) || iType != RDH_RECTANGLES)
        return Fail(_T("a region header of another kind"));
    if ((ULONGLONG)nCount * 16 > cbRgn - sizeof(RGNDATAHEADER))
        return Fail(_T("%lu region rectangles in %lu bytes"), (unsigned long)nCount, (unsigned long)cbRgn);
    if (nCount > kMaxRegionRects)
        return Fail(_T("a region of %lu rectangles"), (unsigned long)nCount);
    if (!Count(nCount * 2, 0) || !AddCost(RegionCost(nCount)))
        return false;
    m_nRegionRects = nCount;
    if (pBox != NULL)
    {
        for (DWORD i = 0; i < nCount; i++)
        {
            const BYTE* pRect = pRgn + sizeof(RGNDATAHEADER) + i * 16;
            pBox->Add(I32(pRect), I32(pRect + 4));
            pBox->Add(I32(pRect + 8), I32(pRect + 12));
        }
    }
    return true;
}

// A list of nCount 16-bit or 32-bit points: where it draws and the length
// of its lines, closed back to the first point for a polygon.
void AddPoints(const BYTE* pPoints, DWORD nCount, bool b16, bool bClosed, CRecordCost& cost)
{
    LONGLONG x0 = 0, y0 = 0, xPrev = 0, yPrev = 0;
    for (DWORD i = 0; i < nCount; i++)
    {
        const BYTE* pt = pPoints + (size_t)i * (b16 ? 4 : 8);
        const LONGLONG x = b16 ? I16(pt) : I32(pt), y = b16 ? I16(pt + 2) : I32(pt + 4);
        cost.box.Add(x, y);
        if (i > 0)
            cost.Segment(x - xPrev, y - yPrev);
        else
            x0 = x, y0 = y;
        xPrev = x;
        yPrev = y;
    }
    if (bClosed && nCount > 1)
        cost.Segment(x0 - xPrev, y0 - yPrev);
}

// The poly records: nMode 0 one list of points, 1 several polylines or
// polygons (counts first), with 32-bit or 16-bit points.
bool CMetafileWalker::EnhPoly(const BYTE* r, DWORD nSize, bool b16, int nMode, CRecordCost& cost)
{
    const ULONGLONG nPointSize = b16 ? 4 : 8;
    const DWORD iType = U32(r);
    if (nMode == 0)
    {
        if (nSize < 28)
            return Fail(_T("a poly record of %lu bytes"), (unsigned long)nSize);
        const DWORD nCount = U32(r + 24);
        if ((ULONGLONG)nCount * nPointSize > nSize - 28)
            return Fail(_T("%lu points do not fit in %lu bytes"), (unsigned long)nCount, (unsigned long)nSize);
        const bool bBezier = iType == EMR_POLYBEZIER || iType == EMR_POLYBEZIER16;
        const bool bBezierTo = iType == EMR_POLYBEZIERTO || iType == EMR_POLYBEZIERTO16;
        if ((bBezier && (nCount == 0 || (nCount - 1) % 3 != 0)) || (bBezierTo && nCount % 3 != 0))
            return Fail(_T("a curve of %lu points"), (unsigned long)nCount);
        if (!Count(nCount, 0))
            return false;
        const bool bClosed = iType == EMR_POLYGON || iType == EMR_POLYGON16;
        cost.bFills = bClosed;
        AddPoints(r + 28, nCount, b16, bClosed, cost);
        // A Bezier curve (three points) is flattened into lines: about half
        // the cost of a curve.
        if (bBezier || bBezierTo)
            cost.dCurves += nCount / 3 * 0.5;
        cost.bFromCurrent = iType == EMR_POLYBEZIERTO || iType == EMR_POLYBEZIERTO16 || iType == EMR_POLYLINETO ||
                            iType == EMR_POLYLINETO16;
        cost.bDraws = true;
        return true;
    }
    if (nSize < 32)
        return Fail(_T("a poly record of %lu bytes"), (unsigned long)nSize);
    const DWORD nPolys = U32(r + 24);
    const DWORD nCount = U32(r + 28);
    const ULONGLONG nNeeded = (ULONGLONG)nPolys * 4 + (ULONGLONG)nCount * nPointSize;
    if (nNeeded > nSize - 32)
        return Fail(_T("%lu figures of %lu points do not fit in %lu bytes"), (unsigned long)nPolys,
                    (unsigned long)nCount, (unsigned long)nSize);
    ULONGLONG nSum = 0;
    for (DWORD i = 0; i < nPolys; i++)
        nSum += U32(r + 32 + i * 4);
    if (nSum != nCount)
        return Fail(_T("figures of %llu points in all where the record has %lu"), (unsigned long long)nSum,
                    (unsigned long)nCount);
    if (!Count(nCount, 0))
        return false;
    const BYTE* pPoints = r + 32 + (size_t)nPolys * 4;
    const bool bClosed = iType == EMR_POLYPOLYGON || iType == EMR_POLYPOLYGON16;
    cost.bFills = bClosed;
    for (DWORD i = 0; i < nPolys; i++)
    {
        const DWORD nFigure = U32(r + 32 + i * 4);
        AddPoints(pPoints, nFigure, b16, bClosed, cost);
        pPoints += nFigure * nPointSize;
    }
    cost.bDraws = true;
    return true;
}

bool CMetafileWalker::EnhRecord(const BYTE* r, DWORD nSize, CRecordCost& cost)
{
    const bool bInPath = m_bInPath;
    if (!EnhRecordBody(r, nSize, cost) || !PatternCost(cost))
        return false;
    m_nBytesLeft = nSize <= m_nBytesLeft ? m_nBytesLeft - nSize : 0;
    // What is drawn inside a path makes the path, for the records that
    // stroke, fill or widen it later.
    if (bInPath && m_bInPath && cost.bDraws)
        AddToPath(cost, (DWORD)(cost.dLines + cost.dCurves * 4 + 1));
    // Drawing through a clip region costs with its rectangles.
    return !cost.bDraws || m_dClipRects <= 0 || AddCost(m_dClipRects * kClippedDrawCost);
}

bool CMetafileWalker::EnhRecordBody(const BYTE* r, DWORD nSize, CRecordCost& cost)
{
    m_nRecords++;
    if (m_nRecords > m_nHeaderRecords)
        return Fail(_T("more records than the header counts (%lu)"), (unsigned long)m_nHeaderRecords);
    if (nSize < 8 || nSize % 4 != 0)
        return Fail(_T("a record of %lu bytes"), (unsigned long)nSize);
    const DWORD iType = U32(r);
    m_nKind = iType;
    if ((m_nRecords == 1) != (iType == EMR_HEADER))
        return Fail(_T("the header record is not the first"));

    // Records of fixed contents: the least size each needs.
    DWORD nMin = 8;
    switch (iType)
    {
    case EMR_HEADER: nMin = kEnhHeaderSize; break;
    case EMR_EOF: nMin = 20; break;
    case EMR_SETWINDOWEXTEX: case EMR_SETWINDOWORGEX: case EMR_SETVIEWPORTEXTEX: case EMR_SETVIEWPORTORGEX:
    case EMR_SETBRUSHORGEX: case EMR_OFFSETCLIPRGN: case EMR_MOVETOEX: case EMR_LINETO: nMin = 16; break;
    case EMR_SETPIXELV: nMin = 20; break;
    case EMR_SETMAPPERFLAGS: case EMR_SETMAPMODE: case EMR_SETBKMODE: case EMR_SETPOLYFILLMODE: case EMR_SETROP2:
    case EMR_SETSTRETCHBLTMODE: case EMR_SETTEXTALIGN: case EMR_SETTEXTCOLOR: case EMR_SETBKCOLOR:
    case EMR_SETARCDIRECTION: case EMR_SETMITERLIMIT: case EMR_SETICMMODE: case EMR_RESTOREDC:
    case EMR_SELECTOBJECT: case EMR_DELETEOBJECT: case EMR_SELECTCLIPPATH: case EMR_GDICOMMENT:
    case EMR_SETLAYOUT: case EMR_SELECTPALETTE: nMin = 12; break;
    case EMR_REALIZEPALETTE: nMin = 8; break;
    case EMR_SETMETARGN: case EMR_SAVEDC: case EMR_BEGINPATH: case EMR_ENDPATH: case EMR_CLOSEFIGURE:
    case EMR_FLATTENPATH: case EMR_WIDENPATH: case EMR_ABORTPATH: nMin = 8; break;
    case EMR_EXCLUDECLIPRECT: case EMR_INTERSECTCLIPRECT: case EMR_SCALEVIEWPORTEXTEX: case EMR_SCALEWINDOWEXTEX:
    case EMR_ELLIPSE: case EMR_RECTANGLE: case EMR_FILLPATH: case EMR_STROKEANDFILLPATH: case EMR_STROKEPATH:
    case EMR_CREATEBRUSHINDIRECT: nMin = 24; break;
    case EMR_SETWORLDTRANSFORM: case EMR_ROUNDRECT: case EMR_CREATEMONOBRUSH: case EMR_CREATEDIBPATTERNBRUSHPT:
    case EMR_FILLRGN: nMin = 32; break;
    case EMR_MODIFYWORLDTRANSFORM: nMin = 36; break;
    case EMR_CREATEPEN: nMin = 28; break;
    case EMR_ARC: case EMR_CHORD: case EMR_PIE: case EMR_ARCTO: case EMR_FRAMERGN: nMin = 40; break;
    case EMR_INVERTRGN: case EMR_PAINTRGN: nMin = 28; break;
    case EMR_EXTSELECTCLIPRGN: nMin = 16; break;
    case EMR_BITBLT: nMin = 100; break;
    case EMR_STRETCHBLT: nMin = 108; break;
    case EMR_SETDIBITSTODEVICE: nMin = 76; break;
    case EMR_STRETCHDIBITS: nMin = 80; break;
    case EMR_EXTCREATEFONTINDIRECTW: nMin = 12 + sizeof(LOGFONTW); break;
    case EMR_EXTTEXTOUTA: case EMR_EXTTEXTOUTW: nMin = 76; break;
    case EMR_EXTCREATEPEN: nMin = 52; break;
    case EMR_POLYBEZIER: case EMR_POLYGON: case EMR_POLYLINE: case EMR_POLYBEZIERTO: case EMR_POLYLINETO:
    case EMR_POLYBEZIER16: case EMR_POLYGON16: case EMR_POLYLINE16: case EMR_POLYBEZIERTO16: case EMR_POLYLINETO16:
        nMin = 28; break;
    case EMR_POLYPOLYLINE: case EMR_POLYPOLYGON: case EMR_POLYPOLYLINE16: case EMR_POLYPOLYGON16: nMin = 32; break;
    case EMR_GRADIENTFILL: nMin = 36; break;
    case EMR_ALPHABLEND: nMin = 108; break;
    case EMR_MASKBLT: nMin = 128; break;
    case EMR_PLGBLT: nMin = 140; break;
    case EMR_CREATEPALETTE: case EMR_RESIZEPALETTE: nMin = 16; break;
    case EMR_SETPALETTEENTRIES: nMin = 20; break;
    default:
        return Fail(_T("records of the kind %lu are not read"), (unsigned long)iType);
    }
    if (nSize < nMin)
        return Fail(_T("a record of the kind %lu of %lu bytes"), (unsigned long)iType, (unsigned long)nSize);

    switch (iType)
    {
    case EMR_HEADER:
        return m_nRecords == 1 ? true : Fail(_T("a second header"));
    case EMR_EOF:
    {
        const DWORD nPalEntries = U32(r + 8), offPalEntries = U32(r + 12);
        if (nPalEntries != 0 && ((ULONGLONG)offPalEntries < 20 || (ULONGLONG)offPalEntries + (ULONGLONG)nPalEntries * 4 > nSize))
            return Fail(_T("palette entries past the end of the record"));
        if (m_nRecords != m_nHeaderRecords)
            return Fail(_T("%lu records where the header counts %lu"), (unsigned long)m_nRecords,
                        (unsigned long)m_nHeaderRecords);
        return true;
    }
    case EMR_SETWINDOWEXTEX:
    case EMR_SETVIEWPORTEXTEX:
        if (I32(r + 8) == 0 || I32(r + 12) == 0)
            return Fail(_T("an extent of nothing"));
        return true;
    case EMR_SCALEVIEWPORTEXTEX:
    case EMR_SCALEWINDOWEXTEX:
        if (I32(r + 8) == 0 || I32(r + 12) == 0 || I32(r + 16) == 0 || I32(r + 20) == 0)
            return Fail(_T("a scale by nothing"));
        return true;
    case EMR_SETMAPMODE:
        if (U32(r + 8) < MM_TEXT || U32(r + 8) > MM_ANISOTROPIC)
            return Fail(_T("mapping mode %lu"), (unsigned long)U32(r + 8));
        return true;
    case EMR_SETBKMODE:
    case EMR_SETPOLYFILLMODE:
    case EMR_SETARCDIRECTION:
        if (U32(r + 8) < 1 || U32(r + 8) > 2)
            return Fail(_T("mode %lu"), (unsigned long)U32(r + 8));
        return true;
    case EMR_SETROP2:
        if (U32(r + 8) < R2_BLACK || U32(r + 8) > R2_WHITE)
            return Fail(_T("mix mode %lu"), (unsigned long)U32(r + 8));
        return true;
    case EMR_SETSTRETCHBLTMODE:
        if (U32(r + 8) < BLACKONWHITE || U32(r + 8) > HALFTONE)
            return Fail(_T("stretch mode %lu"), (unsigned long)U32(r + 8));
        return true;
    case EMR_SETICMMODE:
        if (U32(r + 8) < 1 || U32(r + 8) > 4)
            return Fail(_T("colour matching mode %lu"), (unsigned long)U32(r + 8));
        return true;
    case EMR_SETLAYOUT:
        if ((U32(r + 8) & ~(DWORD)(LAYOUT_RTL | LAYOUT_BITMAPORIENTATIONPRESERVED)) != 0)
            return Fail(_T("layout %lu"), (unsigned long)U32(r + 8));
        return true;
    case EMR_SELECTPALETTE:
        // The system's own palette or one the file made.
        if (U32(r + 8) == (ENHMETA_STOCK_OBJECT | DEFAULT_PALETTE))
        {
            m_nPalette = 0;
            m_nPaletteEntries = -1;
            return true;
        }
        if (!EnhIndex(U32(r + 8), objPalette, false))
            return false;
        m_nPalette = U32(r + 8);
        m_nPaletteEntries = m_objects[m_nPalette].nSize;
        return true;
    case EMR_CREATEPALETTE:
        // The recorder may count more entries than the record holds; the
        // player reads them from the bytes after it, which must be there.
        // The version word is not read.
        return PaletteEntries(U16(r + 14), m_nBytesLeft > 16 ? m_nBytesLeft - 16 : 0) &&
               EnhCreate(U32(r + 8), objPalette, U16(r + 14));
    case EMR_SETPALETTEENTRIES:
    {
        const DWORD iStart = U32(r + 12), nEntries = U32(r + 16);
        if (!EnhIndex(U32(r + 8), objPalette, false))
            return false;
        if (iStart > kMaxPaletteEntries)
            return Fail(_T("palette entries from %lu"), (unsigned long)iStart);
        return nEntries == 0 || PaletteEntries(nEntries, nSize - 20);
    }
    case EMR_RESIZEPALETTE:
        if (!EnhIndex(U32(r + 8), objPalette, false))
            return false;
        if (U32(r + 12) == 0 || U32(r + 12) > kMaxPaletteEntries)
            return Fail(_T("a palette of %lu entries"), (unsigned long)U32(r + 12));
        m_objects[U32(r + 8)].nSize = U32(r + 12);
        if (m_nPalette == U32(r + 8))
            m_nPaletteEntries = U32(r + 12);
        return true;
    case EMR_REALIZEPALETTE:
        return true;
    case EMR_SETMITERLIMIT:
    case EMR_SETMAPPERFLAGS:
    case EMR_SETTEXTALIGN:
    case EMR_SETTEXTCOLOR:
    case EMR_SETBKCOLOR:
    case EMR_SETWINDOWORGEX:
    case EMR_SETVIEWPORTORGEX:
    case EMR_SETBRUSHORGEX:
    case EMR_MOVETOEX:
    case EMR_CLOSEFIGURE:
    case EMR_FLATTENPATH:
        return true;
    case EMR_OFFSETCLIPRGN:
    case EMR_SETMETARGN:
        return ChangeClip(m_dClipRects);
    case EMR_EXCLUDECLIPRECT:
        // A hole in the clip region splits the rectangles it crosses.
        return ChangeClip(std::max(m_dClipRects, 1.0) + 4);
    case EMR_INTERSECTCLIPRECT:
        return ChangeClip(std::max(m_dClipRects, 1.0));
    case EMR_BEGINPATH:
        m_bInPath = true;
        m_path = CPathCost();
        return true;
    case EMR_ENDPATH:
        m_bInPath = false;
        return true;
    case EMR_ABORTPATH:
        m_bInPath = false;
        m_path = CPathCost();
        return true;
    case EMR_WIDENPATH:
    {
        // The path was checked point by point as it was made; it is widened
        // with the pen selected now, into an outline of a few times its
        // lines, each curve flattened.
        cost.bDraws = true;
        cost.bWiden = true;
        UsePath(cost, true, true);
        cost.bPathFill = false;
        const double dLines = m_path.dLines * 4 + m_path.dCurves * 32;
        m_path.dLines = dLines;
        m_path.dCurves = 0;
        return true;
    }
    case EMR_FILLPATH:
    case EMR_STROKEANDFILLPATH:
    case EMR_STROKEPATH:
        // These use the selected pen and brush on the path, then drop it.
        cost.bDraws = true;
        cost.bFills = iType != EMR_STROKEPATH;
        UsePath(cost, iType != EMR_FILLPATH, iType != EMR_STROKEPATH);
        cost.bEndsPath = true;
        m_path = CPathCost();
        return true;
    case EMR_SELECTCLIPPATH:
    {
        if (U32(r + 8) < RGN_AND || U32(r + 8) > RGN_COPY)
            return Fail(_T("clip mode %lu"), (unsigned long)U32(r + 8));
        // The path is turned into a region as a fill would turn it.
        UsePath(cost, false, true);
        cost.bEndsPath = true;
        const double dRects = (double)m_path.nPoints;
        m_path = CPathCost();
        return ChangeClip(U32(r + 8) == RGN_COPY ? dRects : m_dClipRects + dRects);
    }
    case EMR_GDICOMMENT:
        if ((ULONGLONG)U32(r + 8) > nSize - 12)
            return Fail(_T("a comment of %lu bytes in %lu"), (unsigned long)U32(r + 8), (unsigned long)nSize);
        return true;
    case EMR_SAVEDC:
        return SaveDC();
    case EMR_RESTOREDC:
        return RestoreDC(I32(r + 8));
    case EMR_SETWORLDTRANSFORM:
    case EMR_MODIFYWORLDTRANSFORM:
    {
        for (int i = 0; i < 6; i++)
        {
            const float f = F32(r + 8 + i * 4);
            if (!std::isfinite(f) || std::fabs(f) > 1.0e7f)
                return Fail(_T("a transform that is not a finite number"));
        }
        const double dDet = (double)F32(r + 8) * F32(r + 20) - (double)F32(r + 12) * F32(r + 16);
        const DWORD nMode = iType == EMR_MODIFYWORLDTRANSFORM ? U32(r + 32) : MWT_LEFTMULTIPLY;
        if (nMode < MWT_IDENTITY || nMode > MWT_RIGHTMULTIPLY)
            return Fail(_T("transform mode %lu"), (unsigned long)nMode);
        if (nMode != MWT_IDENTITY && dDet == 0)
            return Fail(_T("a transform that flattens the picture"));
        return true;
    }
    case EMR_SELECTOBJECT:
    {
        const DWORD ih = U32(r + 8);
        if (!EnhIndex(ih, objFree, true))
            return false;
        if ((ih & ENHMETA_STOCK_OBJECT) == 0)
        {
            if (m_objects[ih].nKind == objRegion)
                return Fail(_T("a region selected as an object"));
            Select(m_objects[ih]);
        }
        else
        {
            // Stock pens are one pixel wide and stock fonts of the system's size.
            const DWORD nStock = ih & ~ENHMETA_STOCK_OBJECT;
            if (nStock == WHITE_PEN || nStock == BLACK_PEN || nStock == NULL_PEN || nStock == DC_PEN)
            {
                m_nPenSize = 0;
                m_nPenPattern = 0;
                m_dPenDash = 0;
            }
            else if (nStock <= NULL_BRUSH || nStock == DC_BRUSH)
            {
                m_nBrushPattern = 0;
            }
            else if (nStock >= OEM_FIXED_FONT && nStock <= DEFAULT_GUI_FONT && nStock != DEFAULT_PALETTE)
            {
                m_nFontSize = 0;
            }
        }
        return true;
    }
    case EMR_DELETEOBJECT:
    {
        const DWORD ih = U32(r + 8);
        if (!EnhIndex(ih, objFree, false))
            return false;
        m_objects[ih].nKind = objFree;
        // A selected palette stays selected as it was; a new object may
        // take its slot.
        if (m_nPalette == ih)
            m_nPalette = 0;
        return true;
    }
    case EMR_CREATEPEN:
    {
        const DWORD nStyle = U32(r + 12) & PS_STYLE_MASK;
        // The recorder writes an extended pen of its own dashes or of
        // alternate pixels in this form too.
        if (nStyle > PS_ALTERNATE)
            return Fail(_T("pen style %lu"), (unsigned long)nStyle);
        const LONGLONG nWidth = std::llabs((LONGLONG)I32(r + 16));
        return EnhCreate(U32(r + 8), objPen, nWidth);
    }
    case EMR_EXTCREATEPEN:
    {
        const DWORD offBmi = U32(r + 12), cbBmi = U32(r + 16), offBits = U32(r + 20), cbBits = U32(r + 24);
        const DWORD nPenStyle = U32(r + 28);
        const DWORD nWidth = U32(r + 32);
        const DWORD nBrushStyle = U32(r + 36);
        const DWORD nEntries = U32(r + 48);
        if ((nPenStyle & PS_STYLE_MASK) > PS_ALTERNATE)
            return Fail(_T("pen style %lu"), (unsigned long)nPenStyle);
        if (nEntries > 16 || (ULONGLONG)nEntries * 4 > nSize - 52)
            return Fail(_T("a pen of %lu dashes in %lu bytes"), (unsigned long)nEntries, (unsigned long)nSize);
        // A pen of its own dashes: each dash and gap is drawn apart, so
        // their length prices what it strokes.
        double dDash = 0;
        if ((nPenStyle & PS_STYLE_MASK) == PS_USERSTYLE)
        {
            if (nEntries == 0)
                return Fail(_T("a dashed pen without dashes"));
            for (DWORD i = 0; i < nEntries; i++)
                dDash += (double)U32(r + 52 + i * 4);
            if (!(dDash > 0))
                return Fail(_T("a dashed pen whose dashes have no length"));
            // The system adds the dashes up in 32 bits (twice over for an
            // odd number of them, three times more for a cosmetic pen) and
            // divides by the sum: it must not come out as nothing.
            ULONGLONG nPattern = 0;
            for (DWORD i = 0; i < nEntries; i++)
                nPattern += U32(r + 52 + i * 4);
            nPattern = (nPattern * (nEntries % 2 != 0 ? 2 : 1)) & 0xFFFFFFFF;
            if ((nPenStyle & PS_TYPE_MASK) != PS_GEOMETRIC)
                nPattern = (nPattern * 3) & 0xFFFFFFFF;
            if (nPattern == 0)
                return Fail(_T("a dashed pen whose dashes add up to a multiple of 2^32"));
        }
        ULONGLONG nPattern = 0;
        if (nBrushStyle == BS_DIBPATTERNPT || nBrushStyle == BS_DIBPATTERN)
        {
            if ((ULONGLONG)offBmi + cbBmi > nSize || (ULONGLONG)offBits + cbBits > nSize || offBmi < 52 || offBits < 52)
                return Fail(_T("a pen's bitmap past the end of the record"));
            // The brush colour says how the bitmap's colours are given.
            LONG cx = 0, cy = 0;
            if (!CheckDib(r + offBmi, cbBmi, r + offBits, cbBits, U32(r + 40), false, &cx, &cy))
                return false;
            nPattern = (ULONGLONG)cx * (ULONGLONG)cy;
            if (!AddCost((double)nPattern * kPatternPixelCost))
                return false;
        }
        else if (nBrushStyle != BS_SOLID && nBrushStyle != BS_NULL && nBrushStyle != BS_HATCHED)
        {
            return Fail(_T("a pen of brush style %lu"), (unsigned long)nBrushStyle);
        }
        if (nBrushStyle == BS_HATCHED && U32(r + 44) > HS_DIAGCROSS)
            return Fail(_T("hatch %lu"), (unsigned long)U32(r + 44));
        const LONGLONG nSizePen = (nPenStyle & PS_TYPE_MASK) == PS_GEOMETRIC ? (LONGLONG)nWidth : 0;
        if (!EnhCreate(U32(r + 8), objPen, nSizePen, nPattern))
            return false;
        m_objects[U32(r + 8)].dDash = dDash;
        m_objects[U32(r + 8)].bDashOnDevice = (nPenStyle & PS_TYPE_MASK) != PS_GEOMETRIC;
        return true;
    }
    case EMR_CREATEBRUSHINDIRECT:
    {
        const DWORD nStyle = U32(r + 12);
        if (nStyle != BS_SOLID && nStyle != BS_NULL && nStyle != BS_HATCHED)
            return Fail(_T("brush style %lu"), (unsigned long)nStyle);
        if (nStyle == BS_HATCHED && U32(r + 20) > HS_DIAGCROSS)
            return Fail(_T("hatch %lu"), (unsigned long)U32(r + 20));
        return EnhCreate(U32(r + 8), objBrush, 0);
    }
    case EMR_CREATEMONOBRUSH:
    case EMR_CREATEDIBPATTERNBRUSHPT:
    {
        const DWORD offBmi = U32(r + 16), cbBmi = U32(r + 20), offBits = U32(r + 24), cbBits = U32(r + 28);
        if (offBmi < 32 || offBits < 32 || (ULONGLONG)offBmi + cbBmi > nSize || (ULONGLONG)offBits + cbBits > nSize)
            return Fail(_T("a brush's bitmap past the end of the record"));
        LONG cx = 0, cy = 0;
        if (!CheckDib(r + offBmi, cbBmi, r + offBits, cbBits, U32(r + 12), false, &cx, &cy))
            return false;
        if (iType == EMR_CREATEMONOBRUSH && U16(r + offBmi + 14) != 1)
            return Fail(_T("a two-colour brush of more colours"));
        const ULONGLONG nPattern = (ULONGLONG)cx * (ULONGLONG)cy;
        const double dPixelCost = iType == EMR_CREATEMONOBRUSH ? kMonoBrushPixelCost : kPatternPixelCost;
        if (!AddCost((double)nPattern * dPixelCost))
            return false;
        return EnhCreate(U32(r + 8), objBrush, 0, nPattern);
    }
    case EMR_EXTCREATEFONTINDIRECTW:
    {
        // LOGFONTW at 12: the face name (32 characters) must end inside it.
        const BYTE* pFace = r + 12 + offsetof(LOGFONTW, lfFaceName);
        bool bEnded = false;
        for (int i = 0; i < LF_FACESIZE && !bEnded; i++)
            bEnded = U16(pFace + i * 2) == 0;
        if (!bEnded)
            return Fail(_T("a font name without an end"));
        const LONGLONG nHeight = std::llabs((LONGLONG)I32(r + 12)), nWidth = std::llabs((LONGLONG)I32(r + 16));
        return EnhCreate(U32(r + 8), objFont, std::max(nHeight, nWidth));
    }
    case EMR_SETPIXELV:
        cost.box.Add(I32(r + 8), I32(r + 12));
        cost.bDraws = true;
        return Count(1, 0);
    case EMR_LINETO:
        cost.box.Add(I32(r + 8), I32(r + 12));
        cost.bFromCurrent = true;
        cost.bDraws = true;
        return Count(2, 0);
    case EMR_ELLIPSE:
    case EMR_RECTANGLE:
    case EMR_ROUNDRECT:
    case EMR_ARC:
    case EMR_CHORD:
    case EMR_PIE:
    case EMR_ARCTO:
        // The box bounds the figure; an arc's end points give only directions.
        cost.box.Add(I32(r + 8), I32(r + 12));
        cost.box.Add(I32(r + 16), I32(r + 20));
        cost.Outline(iType != EMR_RECTANGLE, (LONGLONG)I32(r + 16) - I32(r + 8), (LONGLONG)I32(r + 20) - I32(r + 12));
        cost.bFills = iType != EMR_ARC && iType != EMR_ARCTO;
        if (iType == EMR_ROUNDRECT)
            cost.nVector = std::max(std::llabs((LONGLONG)I32(r + 24)), std::llabs((LONGLONG)I32(r + 28)));
        cost.bFromCurrent = iType == EMR_ARCTO;
        cost.bDraws = true;
        return Count(4, 0);
    case EMR_POLYBEZIER:
    case EMR_POLYGON:
    case EMR_POLYLINE:
    case EMR_POLYBEZIERTO:
    case EMR_POLYLINETO:
        return EnhPoly(r, nSize, false, 0, cost);
    case EMR_POLYBEZIER16:
    case EMR_POLYGON16:
    case EMR_POLYLINE16:
    case EMR_POLYBEZIERTO16:
    case EMR_POLYLINETO16:
        return EnhPoly(r, nSize, true, 0, cost);
    case EMR_POLYPOLYLINE:
    case EMR_POLYPOLYGON:
        return EnhPoly(r, nSize, false, 1, cost);
    case EMR_POLYPOLYLINE16:
    case EMR_POLYPOLYGON16:
        return EnhPoly(r, nSize, true, 1, cost);
    case EMR_FILLRGN:
    case EMR_FRAMERGN:
    case EMR_INVERTRGN:
    case EMR_PAINTRGN:
    {
        const DWORD cbRgn = U32(r + 24);
        size_t nAt = 28;
        if (iType == EMR_FILLRGN || iType == EMR_FRAMERGN)
        {
            if (!EnhIndex(U32(r + 28), objBrush, false))
                return false;
            cost.nPattern = m_objects[U32(r + 28)].nPattern;
            nAt = 32;
        }
        cost.bFills = iType == EMR_PAINTRGN;
        if (iType == EMR_FRAMERGN)
        {
            cost.nVector = std::max(std::llabs((LONGLONG)I32(r + 32)), std::llabs((LONGLONG)I32(r + 36)));
            nAt = 40;
        }
        cost.bDraws = true;
        if (!EnhRegion(r, nSize, nAt, cbRgn, &cost.box))
            return false;
        cost.nPixels = (ULONGLONG)m_nRegionRects * 200;
        return true;
    }
    case EMR_EXTSELECTCLIPRGN:
    {
        const DWORD cbRgn = U32(r + 8), nMode = U32(r + 12);
        if (nMode < RGN_AND || nMode > RGN_COPY)
            return Fail(_T("clip mode %lu"), (unsigned long)nMode);
        if (cbRgn == 0)
            return nMode == RGN_COPY ? ChangeClip(0) : Fail(_T("an empty clip region combined"));
        if (!EnhRegion(r, nSize, 16, cbRgn, NULL))
            return false;
        return ChangeClip(nMode == RGN_COPY ? (double)m_nRegionRects : m_dClipRects + m_nRegionRects);
    }
    case EMR_BITBLT:
    case EMR_STRETCHBLT:
    {
        const LONG xDest = I32(r + 24), yDest = I32(r + 28), cxDest = I32(r + 32), cyDest = I32(r + 36);
        cost.box.Add(xDest, yDest);
        cost.box.Add((LONGLONG)xDest + cxDest, (LONGLONG)yDest + cyDest);
        cost.bDraws = true;
        cost.bFills = true;   // the raster operation may use the brush
        for (int i = 0; i < 6; i++)
        {
            if (!std::isfinite(F32(r + 52 + i * 4)))
                return Fail(_T("a source transform that is not a finite number"));
        }
        const DWORD iUsage = U32(r + 80), offBmi = U32(r + 84), cbBmi = U32(r + 88), offBits = U32(r + 92),
                    cbBits = U32(r + 96);
        if (cbBmi == 0)
        {
            // A pattern fill without a source bitmap: the player takes the
            // bitmap's offset, not its size, to tell the two kinds apart.
            if (offBmi != 0 || offBits != 0 || cbBits != 0)
                return Fail(_T("a bitmap of no bytes at offset %lu"), (unsigned long)offBmi);
            return Count(4, 0);
        }
        const DWORD nFixed = iType == EMR_BITBLT ? 100 : 108;
        if (offBmi < nFixed || offBits < nFixed || (ULONGLONG)offBmi + cbBmi > nSize ||
            (ULONGLONG)offBits + cbBits > nSize)
            return Fail(_T("a bitmap past the end of the record"));
        LONG cx = 0, cy = 0;
        if (!CheckDib(r + offBmi, cbBmi, r + offBits, cbBits, iUsage, false, &cx, &cy) ||
            !AddCost(kSourceCopyRecordCost))
            return false;
        const LONGLONG cxSrc = iType == EMR_BITBLT ? cxDest : I32(r + 100);
        const LONGLONG cySrc = iType == EMR_BITBLT ? cyDest : I32(r + 104);
        // The source transform may move the source anywhere; only the plain
        // one that GDI records for a copy between DCs is read.
        if (F32(r + 52) != 1.0f || F32(r + 56) != 0.0f || F32(r + 60) != 0.0f || F32(r + 64) != 1.0f ||
            F32(r + 68) != 0.0f || F32(r + 72) != 0.0f)
            return Fail(_T("a copy through a source transform"));
        if (!SourceInside(I32(r + 44), I32(r + 48), cxSrc, cySrc, cx, cy))
            return false;
        cost.nCopyPixels = (ULONGLONG)cx * (ULONGLONG)cy;
        return Count(4, 0);
    }
    case EMR_ALPHABLEND:
    {
        // Laid out as a stretched copy, with the blend in the raster
        // operation's place and a source always.
        const LONG xDest = I32(r + 24), yDest = I32(r + 28), cxDest = I32(r + 32), cyDest = I32(r + 36);
        const DWORD dwBlend = U32(r + 40);
        const DWORD nOp = dwBlend & 0xFF, nFlags = (dwBlend >> 8) & 0xFF, nFormat = (dwBlend >> 24) & 0xFF;
        if (nOp != AC_SRC_OVER || nFlags != 0 || (nFormat != 0 && nFormat != AC_SRC_ALPHA))
            return Fail(_T("a blend of the kind 0x%08lX"), (unsigned long)dwBlend);
        if (cxDest < 0 || cyDest < 0 || I32(r + 100) < 0 || I32(r + 104) < 0)
            return Fail(_T("a blend of negative size"));
        if (!CheckBlitSource(r, nSize, 108, 80, 52, I32(r + 44), I32(r + 48), I32(r + 100), I32(r + 104), true, cost,
                             true))
            return false;
        if (nFormat == AC_SRC_ALPHA && U16(r + U32(r + 84) + 14) != 32)
            return Fail(_T("a blend by the alpha of a bitmap without alpha"));
        // The blend's player looks the source's palette indices up in the
        // selected palette, past the end of one of no entries.
        if (U32(r + 80) == DIB_PAL_COLORS && m_nPaletteEntries == 0)
            return Fail(_T("a blend of palette indices through a palette of no entries"));
        if (!AddCost(kBlendRecordCost))
            return false;
        cost.box.Add(xDest, yDest);
        cost.box.Add((LONGLONG)xDest + cxDest, (LONGLONG)yDest + cyDest);
        cost.bDraws = true;
        cost.dArea = (double)cxDest * (double)cyDest;
        cost.dShapes = 1;
        return Count(4, 0);
    }
    case EMR_MASKBLT:
    {
        const LONG xDest = I32(r + 24), yDest = I32(r + 28), cxDest = I32(r + 32), cyDest = I32(r + 36);
        if (cxDest < 0 || cyDest < 0)
            return Fail(_T("a copy of negative size"));
        if (!CheckBlitSource(r, nSize, 128, 80, 52, I32(r + 44), I32(r + 48), cxDest, cyDest, false, cost) ||
            !CheckBlitMask(r, nSize, 128, 100, cxDest, cyDest, cost) ||
            !AddCost(kMaskedCopyRecordCost + (double)cxDest * (double)cyDest * kMaskedCopyPixelCost))
            return false;
        cost.box.Add(xDest, yDest);
        cost.box.Add((LONGLONG)xDest + cxDest, (LONGLONG)yDest + cyDest);
        cost.bDraws = true;
        cost.bFills = true;   // the raster operations may use the brush
        cost.dArea = (double)cxDest * (double)cyDest;
        cost.dShapes = 1;
        return Count(4, 0);
    }
    case EMR_PLGBLT:
    {
        // The source rectangle onto the parallelogram of three corners.
        const LONGLONG x0 = I32(r + 24), y0 = I32(r + 28), x1 = I32(r + 32), y1 = I32(r + 36), x2 = I32(r + 40),
                       y2 = I32(r + 44);
        const LONG cxSrc = I32(r + 56), cySrc = I32(r + 60);
        if (cxSrc < 0 || cySrc < 0)
            return Fail(_T("a source of negative size"));
        // The copy is made as a masked copy of the source rectangle through
        // a transform onto the parallelogram.
        if (!CheckBlitSource(r, nSize, 140, 92, 64, I32(r + 48), I32(r + 52), cxSrc, cySrc, true, cost) ||
            !CheckBlitMask(r, nSize, 140, 112, cxSrc, cySrc, cost) ||
            !AddCost(kParallelogramRecordCost + (double)cxSrc * (double)cySrc * kMaskedCopyPixelCost))
            return false;
        cost.box.Add(x0, y0);
        cost.box.Add(x1, y1);
        cost.box.Add(x2, y2);
        cost.box.Add(x1 + x2 - x0, y1 + y2 - y0);
        cost.bDraws = true;
        cost.dArea = std::fabs((double)(x1 - x0) * (double)(y2 - y0) - (double)(y1 - y0) * (double)(x2 - x0));
        cost.dShapes = 1;
        return Count(4, 0);
    }
    case EMR_GRADIENTFILL:
    {
        // Corners (x, y and four colour words), then rectangles of two or
        // triangles of three corner numbers.
        const DWORD nVertices = U32(r + 24), nShapes = U32(r + 28), nMode = U32(r + 32);
        if (nMode > GRADIENT_FILL_TRIANGLE)
            return Fail(_T("gradient mode %lu"), (unsigned long)nMode);
        const DWORD nCorners = nMode == GRADIENT_FILL_TRIANGLE ? 3 : 2;
        if (nVertices == 0 || (ULONGLONG)nVertices * 16 + (ULONGLONG)nShapes * nCorners * 4 > nSize - 36)
            return Fail(_T("%lu corners and %lu shapes do not fit in %lu bytes"), (unsigned long)nVertices,
                        (unsigned long)nShapes, (unsigned long)nSize);
        if (!Count(nVertices, 0) || !Count(nShapes, 0))
            return false;
        const BYTE* pVertices = r + 36;
        for (DWORD i = 0; i < nVertices; i++)
            cost.box.Add(I32(pVertices + i * 16), I32(pVertices + i * 16 + 4));
        const BYTE* pShapes = pVertices + (size_t)nVertices * 16;
        for (DWORD i = 0; i < nShapes; i++)
        {
            LONGLONG x[3] = {0, 0, 0}, y[3] = {0, 0, 0};
            for (DWORD j = 0; j < nCorners; j++)
            {
                const DWORD nCorner = U32(pShapes + ((size_t)i * nCorners + j) * 4);
                if (nCorner >= nVertices)
                    return Fail(_T("corner %lu of %lu"), (unsigned long)nCorner, (unsigned long)nVertices);
                x[j] = I32(pVertices + (size_t)nCorner * 16);
                y[j] = I32(pVertices + (size_t)nCorner * 16 + 4);
            }
            cost.dArea += nCorners == 2 ? std::fabs((double)(x[1] - x[0]) * (double)(y[1] - y[0]))
                                        : std::fabs((double)(x[1] - x[0]) * (double)(y[2] - y[0]) -
                                                    (double)(y[1] - y[0]) * (double)(x[2] - x[0])) / 2;
        }
        cost.dShapes = nShapes;
        cost.bDraws = true;
        return true;
    }
    case EMR_SETDIBITSTODEVICE:
    {
        const LONG xDest = I32(r + 24), yDest = I32(r + 28), xSrc = I32(r + 32), ySrc = I32(r + 36);
        const LONG cxSrc = I32(r + 40), cySrc = I32(r + 44);
        const DWORD offBmi = U32(r + 48), cbBmi = U32(r + 52), offBits = U32(r + 56), cbBits = U32(r + 60);
        const DWORD iUsage = U32(r + 64), iStartScan = U32(r + 68), cScans = U32(r + 72);
        if (offBmi < 76 || offBits < 76 || (ULONGLONG)offBmi + cbBmi > nSize || (ULONGLONG)offBits + cbBits > nSize)
            return Fail(_T("a bitmap past the end of the record"));
        LONG cx = 0, cy = 0;
        // The bits hold the cScans rows that are set; the header may name
        // the whole height.
        if (!CheckDib(r + offBmi, cbBmi, r + offBits, cbBits, iUsage, false, &cx, &cy, cScans))
            return false;
        if ((ULONGLONG)iStartScan + cScans > (ULONGLONG)cy)
            return Fail(_T("rows %lu to %lu of a bitmap of %ld rows"), (unsigned long)iStartScan,
                        (unsigned long)(iStartScan + cScans), (long)cy);
        if (cxSrc < 0 || cySrc < 0)
            return Fail(_T("a source of negative size"));
        if (!SourceInside(xSrc, ySrc, cxSrc, cySrc, cx, cy))
            return false;
        cost.box.Add(xDest, yDest);
        cost.box.Add((LONGLONG)xDest + cxSrc, (LONGLONG)yDest + cySrc);
        cost.bDraws = true;
        cost.nCopyPixels = (ULONGLONG)cx * (ULONGLONG)cy;
        return Count(4, 0);
    }
    case EMR_STRETCHDIBITS:
    {
        const LONG xDest = I32(r + 24), yDest = I32(r + 28), xSrc = I32(r + 32), ySrc = I32(r + 36);
        const LONG cxSrc = I32(r + 40), cySrc = I32(r + 44);
        const DWORD offBmi = U32(r + 48), cbBmi = U32(r + 52), offBits = U32(r + 56), cbBits = U32(r + 60);
        const DWORD iUsage = U32(r + 64);
        const LONG cxDest = I32(r + 72), cyDest = I32(r + 76);
        if (offBmi < 80 || offBits < 80 || (ULONGLONG)offBmi + cbBmi > nSize || (ULONGLONG)offBits + cbBits > nSize)
            return Fail(_T("a bitmap past the end of the record"));
        LONG cx = 0, cy = 0;
        if (!CheckDib(r + offBmi, cbBmi, r + offBits, cbBits, iUsage, false, &cx, &cy))
            return false;
        if (!SourceInside(xSrc, ySrc, cxSrc, cySrc, cx, cy))
            return false;
        cost.box.Add(xDest, yDest);
        cost.box.Add((LONGLONG)xDest + cxDest, (LONGLONG)yDest + cyDest);
        cost.bDraws = true;
        cost.nCopyPixels = (ULONGLONG)cx * (ULONGLONG)cy;
        return Count(4, 0);
    }
    case EMR_EXTTEXTOUTA:
    case EMR_EXTTEXTOUTW:
    {
        for (int i = 0; i < 2; i++)
        {
            if (!std::isfinite(F32(r + 28 + i * 4)))
                return Fail(_T("a text scale that is not a finite number"));
        }
        const LONG x = I32(r + 36), y = I32(r + 40);
        const DWORD nChars = U32(r + 44), offString = U32(r + 48), fOptions = U32(r + 52), offDx = U32(r + 72);
        const ULONGLONG nCharSize = iType == EMR_EXTTEXTOUTW ? 2 : 1;
        if (nChars != 0 && (offString < 76 || (ULONGLONG)offString + nChars * nCharSize > nSize))
            return Fail(_T("%lu characters past the end of the record"), (unsigned long)nChars);
        if (offDx != 0 && nChars != 0)
        {
            const ULONGLONG nDx = (ULONGLONG)nChars * ((fOptions & ETO_PDY) != 0 ? 8 : 4);
            if (offDx < 76 || (ULONGLONG)offDx + nDx > nSize)
                return Fail(_T("character spacing past the end of the record"));
        }
        cost.box.Add(x, y);
        if ((fOptions & (ETO_OPAQUE | ETO_CLIPPED)) != 0)
        {
            cost.box.Add(I32(r + 56), I32(r + 60));
            cost.box.Add(I32(r + 64), I32(r + 68));
        }
        cost.bDraws = true;
        cost.nChars = nChars;
        return Count(1, nChars);
    }
    default:
        break;
    }
    return Fail(_T("records of the kind %lu are not read"), (unsigned long)iType);
}

// ---------------------------------------------------------------------------
// Placeable metafiles

bool CMetafileWalker::StartPlaceable(const BYTE* p, size_t n)
{
    m_nRecords = 0;
    if (n < kPlaceableSize + kMetaHeaderSize || U32(p) != kPlaceableKey)
        return Fail(_T("no placeable metafile header"));
    m_rcPlaceable.left = I16(p + 6);
    m_rcPlaceable.top = I16(p + 8);
    m_rcPlaceable.right = I16(p + 10);
    m_rcPlaceable.bottom = I16(p + 12);
    if (m_rcPlaceable.right <= m_rcPlaceable.left || m_rcPlaceable.bottom <= m_rcPlaceable.top || U16(p + 14) == 0)
        return Fail(_T("a frame of %ld, %ld to %ld, %ld"), (long)m_rcPlaceable.left, (long)m_rcPlaceable.top,
                    (long)m_rcPlaceable.right, (long)m_rcPlaceable.bottom);
    const BYTE* h = p + kPlaceableSize;
    const WORD nType = U16(h), nHeaderWords = U16(h + 2), nVersion = U16(h + 4);
    const ULONGLONG nWords = U32(h + 6);
    const WORD nObjects = U16(h + 10);
    m_nMaxRecord = U32(h + 12);
    if ((nType != 1 && nType != 2) || nHeaderWords != 9 || (nVersion != 0x300 && nVersion != 0x100))
        return Fail(_T("a metafile header of another kind"));
    if (nWords * 2 < kMetaHeaderSize + 6 || nWords * 2 > n - kPlaceableSize)
        return Fail(_T("a metafile that says it has %llu bytes of %lu"), (unsigned long long)(nWords * 2),
                    (unsigned long)(n - kPlaceableSize));
    if (m_nMaxRecord < 3 || m_nMaxRecord > nWords)
        return Fail(_T("a largest record of %lu words"), (unsigned long)m_nMaxRecord);
    if (nObjects > m_limits.nMaxHandles)
        return Fail(_T("an object table of %u entries"), (unsigned)nObjects);
    m_objects.assign(nObjects, CObject());
    m_nMetaOffset = kPlaceableSize;
    m_nMetaBytes = (size_t)(nWords * 2);
    return true;
}

bool CMetafileWalker::MetaIndex(int nIndex, int nKind)
{
    if (nIndex < 0 || (size_t)nIndex >= m_objects.size())
        return Fail(_T("object %d of a table of %u"), nIndex, (unsigned)m_objects.size());
    if (m_objects[nIndex].nKind == objFree)
        return Fail(_T("object %d, which was never made"), nIndex);
    if (nKind != objFree && m_objects[nIndex].nKind != nKind)
        return Fail(_T("object %d is of another kind"), nIndex);
    return true;
}

bool CMetafileWalker::MetaCreate(int nKind, LONGLONG nSize, const CBox* pBox, ULONGLONG nPattern)
{
    // A new object takes the first free slot; with none free the object
    // would be lost.
    for (size_t i = 0; i < m_objects.size(); i++)
    {
        if (m_objects[i].nKind == objFree)
        {
            m_objects[i] = CObject();
            m_objects[i].nKind = nKind;
            m_objects[i].nSize = nSize;
            m_objects[i].box = pBox != NULL ? *pBox : CBox();
            m_objects[i].nPattern = nPattern;
            return true;
        }
    }
    return Fail(_T("more objects than the table of %u holds"), (unsigned)m_objects.size());
}

bool CMetafileWalker::MetaRecord(const BYTE* r, DWORD nSize, CRecordCost& cost)
{
    if (!MetaRecordBody(r, nSize, cost) || !PatternCost(cost))
        return false;
    // Drawing through a clip region costs with its rectangles.
    return !cost.bDraws || m_dClipRects <= 0 || AddCost(m_dClipRects * kClippedDrawCost);
}

bool CMetafileWalker::MetaRecordBody(const BYTE* r, DWORD nSize, CRecordCost& cost)
{
    m_nRecords++;
    if (m_nRecords > m_limits.nMaxRecords)
        return Fail(_T("more than %lu records"), (unsigned long)m_limits.nMaxRecords);
    if (nSize < 6 || nSize % 2 != 0 || nSize / 2 > m_nMaxRecord)
        return Fail(_T("a record of %lu bytes"), (unsigned long)nSize);
    const WORD nFunction = U16(r + 4);
    m_nKind = nFunction;
    const DWORD nParams = (nSize - 6) / 2;
    const BYTE* pParams = r + 6;
    auto P = [pParams](DWORD i) { return (LONGLONG)I16(pParams + i * 2); };
    auto UP = [pParams](DWORD i) { return (DWORD)U16(pParams + i * 2); };
    auto Need = [&](DWORD n) { return nParams >= n ? true : Fail(_T("function 0x%04X with %lu words"), (unsigned)nFunction, (unsigned long)nParams); };

    switch (nFunction)
    {
    case 0x0000:   // end
        return true;
    case 0x001E:   // SaveDC
        return SaveDC();
    case 0x0127:   // RestoreDC
        return Need(1) && RestoreDC((LONG)P(0));
    case 0x0103:   // SetMapMode
        if (!Need(1))
            return false;
        if (P(0) < MM_TEXT || P(0) > MM_ANISOTROPIC)
            return Fail(_T("mapping mode %ld"), (long)P(0));
        return true;
    case 0x0102:   // SetBkMode
    case 0x0106:   // SetPolyFillMode
        if (!Need(1))
            return false;
        if (P(0) < 1 || P(0) > 2)
            return Fail(_T("mode %ld"), (long)P(0));
        return true;
    case 0x0104:   // SetROP2
        if (!Need(1))
            return false;
        if (P(0) < R2_BLACK || P(0) > R2_WHITE)
            return Fail(_T("mix mode %ld"), (long)P(0));
        return true;
    case 0x0107:   // SetStretchBltMode
        if (!Need(1))
            return false;
        if (P(0) < BLACKONWHITE || P(0) > HALFTONE)
            return Fail(_T("stretch mode %ld"), (long)P(0));
        return true;
    case 0x0105:   // SetRelAbs
    case 0x0108:   // SetTextCharacterExtra
    case 0x012E:   // SetTextAlign
        return Need(1);
    case 0x0201:   // SetBkColor
    case 0x0209:   // SetTextColor
    case 0x020A:   // SetTextJustification
    case 0x0231:   // SetMapperFlags
    case 0x020B:   // SetWindowOrg
    case 0x020D:   // SetViewportOrg
    case 0x020F:   // OffsetWindowOrg
    case 0x0211:   // OffsetViewportOrg
    case 0x0214:   // MoveTo
        return Need(2);
    case 0x0220:   // OffsetClipRgn
        return Need(2) && ChangeClip(m_dClipRects);
    case 0x020C:   // SetWindowExt
    case 0x020E:   // SetViewportExt
        if (!Need(2))
            return false;
        if (P(0) == 0 || P(1) == 0)
            return Fail(_T("an extent of nothing"));
        return true;
    case 0x0410:   // ScaleWindowExt
    case 0x0412:   // ScaleViewportExt
        if (!Need(4))
            return false;
        if (P(0) == 0 || P(1) == 0 || P(2) == 0 || P(3) == 0)
            return Fail(_T("a scale by nothing"));
        return true;
    case 0x0415:   // ExcludeClipRect: a hole splits the rectangles it crosses
        return Need(4) && ChangeClip(std::max(m_dClipRects, 1.0) + 4);
    case 0x0416:   // IntersectClipRect
        return Need(4) && ChangeClip(std::max(m_dClipRects, 1.0));
    case 0x0626:   // Escape: only the comment, which draws nothing
        if (!Need(2))
            return false;
        if (UP(0) != MFCOMMENT)
            return Fail(_T("escape %lu"), (unsigned long)UP(0));
        if ((ULONGLONG)UP(1) > (ULONGLONG)(nParams - 2) * 2)
            return Fail(_T("a comment of %lu bytes in %lu"), (unsigned long)UP(1), (unsigned long)nSize);
        return true;
    case 0x00F7:   // CreatePalette: version, count, entries
        return Need(2) && PaletteEntries(UP(1), (ULONGLONG)(nParams - 2) * 2) && MetaCreate(objPalette, 0);
    case 0x0234:   // SelectPalette
        if (!Need(1) || !MetaIndex((int)UP(0), objPalette))
            return false;
        // A second word is taken for the object by this system's player,
        // which reads the slot it names whatever the size of the table.
        if (nParams >= 2 && UP(1) >= m_objects.size())
            return Fail(_T("a palette selection naming object %lu of a table of %u"), (unsigned long)UP(1),
                        (unsigned)m_objects.size());
        return true;
    case 0x0035:   // RealizePalette
        return true;
    case 0x0037:   // SetPalEntries: start, count, entries
    case 0x0436:   // AnimatePalette: the same
        if (!Need(2))
            return false;
        if (UP(0) > kMaxPaletteEntries)
            return Fail(_T("palette entries from %lu"), (unsigned long)UP(0));
        return UP(1) == 0 || PaletteEntries(UP(1), (ULONGLONG)(nParams - 2) * 2);
    case 0x0139:   // ResizePalette
        if (!Need(1))
            return false;
        if (UP(0) == 0 || UP(0) > kMaxPaletteEntries)
            return Fail(_T("a palette of %lu entries"), (unsigned long)UP(0));
        return true;
    case 0x0213:   // LineTo
        if (!Need(2))
            return false;
        cost.box.Add(P(1), P(0));
        cost.bFromCurrent = true;
        cost.bDraws = true;
        return Count(2, 0);
    case 0x041F:   // SetPixel
        if (!Need(4))
            return false;
        cost.box.Add(P(3), P(2));
        cost.bDraws = true;
        return Count(1, 0);
    case 0x041B:   // Rectangle
    case 0x0418:   // Ellipse
    case 0x061C:   // RoundRect
    case 0x0817:   // Arc
    case 0x081A:   // Pie
    case 0x0830:   // Chord
    {
        // The box is the last four words; before it the corner or the arc's ends.
        const DWORD nBefore = nFunction == 0x061C ? 2 : (nFunction == 0x041B || nFunction == 0x0418) ? 0 : 4;
        if (!Need(nBefore + 4))
            return false;
        cost.box.Add(P(nBefore + 3), P(nBefore + 2));
        cost.box.Add(P(nBefore + 1), P(nBefore + 0));
        cost.Outline(nFunction != 0x041B, P(nBefore + 3) - P(nBefore + 1), P(nBefore + 2) - P(nBefore + 0));
        cost.bFills = nFunction != 0x0817;
        if (nFunction == 0x061C)
            cost.nVector = std::max(std::llabs(P(0)), std::llabs(P(1)));
        cost.bDraws = true;
        return Count(4, 0);
    }
    case 0x061D:   // PatBlt: rop, height, width, y, x
        if (!Need(6))
            return false;
        cost.box.Add(P(5), P(4));
        cost.box.Add(P(5) + P(3), P(4) + P(2));
        cost.bDraws = true;
        cost.bFills = true;
        return Count(4, 0);
    case 0x0324:   // Polygon
    case 0x0325:   // Polyline
    {
        if (!Need(1))
            return false;
        const DWORD nCount = UP(0);
        if ((ULONGLONG)nCount * 2 > nParams - 1)
            return Fail(_T("%lu points do not fit in %lu bytes"), (unsigned long)nCount, (unsigned long)nSize);
        AddPoints(pParams + 2, nCount, true, nFunction == 0x0324, cost);
        cost.bDraws = true;
        cost.bFills = nFunction == 0x0324;
        return Count(nCount, 0);
    }
    case 0x0538:   // PolyPolygon
    {
        if (!Need(1))
            return false;
        const DWORD nPolys = UP(0);
        if (nPolys > nParams - 1)
            return Fail(_T("%lu figures do not fit in %lu bytes"), (unsigned long)nPolys, (unsigned long)nSize);
        ULONGLONG nCount = 0;
        for (DWORD i = 0; i < nPolys; i++)
            nCount += UP(1 + i);
        if (nCount * 2 > nParams - 1 - nPolys)
            return Fail(_T("%llu points do not fit in %lu bytes"), (unsigned long long)nCount, (unsigned long)nSize);
        const BYTE* pPoints = pParams + 2 + (size_t)nPolys * 2;
        for (DWORD i = 0; i < nPolys; i++)
        {
            AddPoints(pPoints, UP(1 + i), true, true, cost);
            pPoints += (size_t)UP(1 + i) * 4;
        }
        cost.bDraws = true;
        cost.bFills = true;
        return Count((DWORD)nCount, 0);
    }
    case 0x0521:   // TextOut: count, string, y, x
    {
        if (!Need(1))
            return false;
        const DWORD nChars = UP(0);
        const DWORD nStringWords = (nChars + 1) / 2;
        if ((ULONGLONG)1 + nStringWords + 2 > nParams)
            return Fail(_T("%lu characters do not fit in %lu bytes"), (unsigned long)nChars, (unsigned long)nSize);
        cost.box.Add(P(1 + nStringWords + 1), P(1 + nStringWords));
        cost.bDraws = true;
        cost.nChars = nChars;
        return Count(1, nChars);
    }
    case 0x0A32:   // ExtTextOut: y, x, count, options, [rect], string, [dx]
    {
        if (!Need(4))
            return false;
        const DWORD nChars = UP(2);
        const bool bRect = (UP(3) & (ETO_OPAQUE | ETO_CLIPPED)) != 0;
        const DWORD nBefore = 4 + (bRect ? 4 : 0);
        if ((ULONGLONG)nBefore + (nChars + 1) / 2 > nParams)
            return Fail(_T("%lu characters do not fit in %lu bytes"), (unsigned long)nChars, (unsigned long)nSize);
        cost.box.Add(P(1), P(0));
        if (bRect)
        {
            cost.box.Add(P(4), P(5));
            cost.box.Add(P(6), P(7));
        }
        cost.bDraws = true;
        cost.nChars = nChars;
        return Count(1, nChars);
    }
    case 0x0940:   // DIBBitBlt: rop, ySrc, xSrc, height, width, yDest, xDest, [DIB]
    {
        if (!Need(9))
            return false;
        if (nParams == 9)
        {
            // Without a bitmap: a pattern fill of the words 5 to 8.
            cost.box.Add(P(8), P(7));
            cost.box.Add(P(8) + P(6), P(7) + P(5));
            cost.bDraws = true;
            cost.bFills = true;
            return Count(4, 0);
        }
        LONG cx = 0, cy = 0;
        if (!CheckDib(pParams + 16, (ULONGLONG)(nParams - 8) * 2, NULL, 0, DIB_RGB_COLORS, true, &cx, &cy))
            return false;
        if (!SourceInside(P(3), P(2), P(5), P(4), cx, cy))
            return false;
        cost.box.Add(P(7), P(6));
        cost.box.Add(P(7) + P(5), P(6) + P(4));
        cost.bDraws = true;
        cost.bFills = true;   // the raster operation may use the brush
        cost.nCopyPixels = (ULONGLONG)cx * (ULONGLONG)cy;
        return Count(4, 0);
    }
    case 0x0B41:   // DIBStretchBlt: rop, srcHeight, srcWidth, ySrc, xSrc, height, width, yDest, xDest, DIB
    {
        if (!Need(10 + sizeof(BITMAPINFOHEADER) / 2))
            return false;
        LONG cx = 0, cy = 0;
        if (!CheckDib(pParams + 20, (ULONGLONG)(nParams - 10) * 2, NULL, 0, DIB_RGB_COLORS, true, &cx, &cy))
            return false;
        if (!SourceInside(P(5), P(4), P(3), P(2), cx, cy))
            return false;
        cost.box.Add(P(9), P(8));
        cost.box.Add(P(9) + P(7), P(8) + P(6));
        cost.bDraws = true;
        cost.bFills = true;
        cost.nCopyPixels = (ULONGLONG)cx * (ULONGLONG)cy;
        return Count(4, 0);
    }
    case 0x0F43:   // StretchDIBits: rop, usage, srcHeight, srcWidth, ySrc, xSrc, height, width, yDest, xDest, DIB
    {
        if (!Need(11 + sizeof(BITMAPINFOHEADER) / 2))
            return false;
        LONG cx = 0, cy = 0;
        if (!CheckDib(pParams + 22, (ULONGLONG)(nParams - 11) * 2, NULL, 0, UP(2), true, &cx, &cy))
            return false;
        if (!SourceInside(P(6), P(5), P(4), P(3), cx, cy))
            return false;
        cost.box.Add(P(10), P(9));
        cost.box.Add(P(10) + P(8), P(9) + P(7));
        cost.bDraws = true;
        cost.nCopyPixels = (ULONGLONG)cx * (ULONGLONG)cy;
        return Count(4, 0);
    }
    case 0x0D33:   // SetDIBitsToDevice: usage, scans, start, ySrc, xSrc, height, width, yDest, xDest, DIB
    {
        if (!Need(9 + sizeof(BITMAPINFOHEADER) / 2))
            return false;
        LONG cx = 0, cy = 0;
        if (!CheckDib(pParams + 18, (ULONGLONG)(nParams - 9) * 2, NULL, 0, UP(0), true, &cx, &cy, UP(1)))
            return false;
        if ((ULONGLONG)UP(2) + UP(1) > (ULONGLONG)cy)
            return Fail(_T("rows %lu to %lu of a bitmap of %ld rows"), (unsigned long)UP(2),
                        (unsigned long)(UP(2) + UP(1)), (long)cy);
        if (P(6) < 0 || P(5) < 0)
            return Fail(_T("a source of negative size"));
        if (!SourceInside(P(4), P(3), P(6), P(5), cx, cy))
            return false;
        cost.box.Add(P(8), P(7));
        cost.box.Add(P(8) + P(6), P(7) + P(5));
        cost.bDraws = true;
        cost.nCopyPixels = (ULONGLONG)cx * (ULONGLONG)cy;
        return Count(4, 0);
    }
    case 0x0228:   // FillRegion: brush, region
        if (!Need(2) || !MetaIndex((int)UP(1), objRegion) || !MetaIndex((int)UP(0), objBrush))
            return false;
        cost.box = m_objects[UP(1)].box;
        cost.nPixels = (ULONGLONG)m_objects[UP(1)].nSize * 200;
        cost.nPattern = m_objects[UP(0)].nPattern;
        cost.bDraws = true;
        return true;
    case 0x0429:   // FrameRegion: height, width, brush, region
        if (!Need(4) || !MetaIndex((int)UP(3), objRegion) || !MetaIndex((int)UP(2), objBrush))
            return false;
        cost.box = m_objects[UP(3)].box;
        cost.nPixels = (ULONGLONG)m_objects[UP(3)].nSize * 200;
        cost.nPattern = m_objects[UP(2)].nPattern;
        cost.nVector = std::max(std::llabs(P(0)), std::llabs(P(1)));
        cost.bDraws = true;
        return true;
    case 0x012A:   // InvertRegion
    case 0x012B:   // PaintRegion
        if (!Need(1) || !MetaIndex((int)UP(0), objRegion))
            return false;
        cost.box = m_objects[UP(0)].box;
        cost.nPixels = (ULONGLONG)m_objects[UP(0)].nSize * 200;
        cost.bFills = nFunction == 0x012B;
        cost.bDraws = true;
        return true;
    case 0x012C:   // SelectClipRegion
        return Need(1) && MetaIndex((int)UP(0), objRegion) && ChangeClip((double)m_objects[UP(0)].nSize);
    case 0x012D:   // SelectObject
        // A region selected is the clip region, as the recorder writes
        // SelectClipRgn; it changes no pen, brush or font.
        if (!Need(1) || !MetaIndex((int)UP(0), objFree))
            return false;
        if (m_objects[UP(0)].nKind == objRegion)
            return ChangeClip((double)m_objects[UP(0)].nSize);
        Select(m_objects[UP(0)]);
        return true;
    case 0x01F0:   // DeleteObject
        if (!Need(1) || !MetaIndex((int)UP(0), objFree))
            return false;
        m_objects[UP(0)].nKind = objFree;
        return true;
    case 0x02FA:   // CreatePenIndirect: style, width (x, y), colour
        if (!Need(5))
            return false;
        if ((UP(0) & PS_STYLE_MASK) > PS_ALTERNATE)
            return Fail(_T("pen style %lu"), (unsigned long)UP(0));
        return MetaCreate(objPen, std::llabs(P(1)));
    case 0x02FC:   // CreateBrushIndirect: style, colour, hatch
        if (!Need(4))
            return false;
        if (UP(0) != BS_SOLID && UP(0) != BS_NULL && UP(0) != BS_HATCHED)
            return Fail(_T("brush style %lu"), (unsigned long)UP(0));
        if (UP(0) == BS_HATCHED && UP(3) > HS_DIAGCROSS)
            return Fail(_T("hatch %lu"), (unsigned long)UP(3));
        return MetaCreate(objBrush, 0);
    case 0x02FB:   // CreateFontIndirect: the 16-bit LOGFONT, its name ending inside the record
    {
        if (!Need(9))
            return false;
        const BYTE* pFace = pParams + 18;
        const size_t nFaceBytes = std::min<size_t>(LF_FACESIZE, nParams * 2 - 18);
        bool bEnded = nFaceBytes == LF_FACESIZE;
        for (size_t i = 0; i < nFaceBytes && !bEnded; i++)
            bEnded = pFace[i] == 0;
        if (!bEnded)
            return Fail(_T("a font name without an end"));
        return MetaCreate(objFont, std::max(std::llabs(P(0)), std::llabs(P(1))));
    }
    case 0x0142:   // DIBCreatePatternBrush: style, usage, DIB
    {
        if (!Need(2 + sizeof(BITMAPINFOHEADER) / 2))
            return false;
        if (UP(0) != BS_PATTERN && UP(0) != BS_DIBPATTERN)
            return Fail(_T("pattern brush style %lu"), (unsigned long)UP(0));
        LONG cx = 0, cy = 0;
        if (!CheckDib(pParams + 4, (ULONGLONG)(nParams - 2) * 2, NULL, 0, UP(0) == BS_PATTERN ? DIB_RGB_COLORS : UP(1),
                      true, &cx, &cy))
            return false;
        // This player converts the bitmap as a copy would as it makes the
        // brush, then the pattern at each fill.
        const ULONGLONG nPattern = (ULONGLONG)cx * (ULONGLONG)cy;
        if (!AddCost((double)nPattern * kCopyPixelCost))
            return false;
        return MetaCreate(objBrush, 0, NULL, nPattern);
    }
    case 0x06FF:   // CreateRegion: a header of 11 words, then the scans
    {
        if (!Need(11))
            return false;
        const DWORD nScans = UP(5);
        DWORD nAt = 11;
        DWORD nPairs = 0;
        CBox box;
        for (DWORD i = 0; i < nScans; i++)
        {
            if (nAt + 3 > nParams)
                return Fail(_T("region scan %lu past the end of the record"), (unsigned long)i);
            const DWORD nCount = UP(nAt);
            if (nCount % 2 != 0 || (ULONGLONG)nAt + 3 + nCount + 1 > nParams || UP(nAt + 3 + nCount) != nCount)
                return Fail(_T("region scan %lu of %lu ends"), (unsigned long)i, (unsigned long)nCount);
            const LONGLONG yTop = P(nAt + 1), yBottom = P(nAt + 2);
            for (DWORD j = 0; j < nCount; j++)
            {
                box.Add(P(nAt + 3 + j), yTop);
                box.Add(P(nAt + 3 + j), yBottom);
            }
            if (!Count(nCount, 0))
                return false;
            nPairs += nCount / 2;
            if (nPairs > kMaxRegionRects)
                return Fail(_T("a region of more than %lu rectangles"), (unsigned long)kMaxRegionRects);
            nAt += 4 + nCount;
        }
        // The region's extent and its number of rectangles stand for it
        // when it is drawn.
        return AddCost(RegionCost(nPairs)) && MetaCreate(objRegion, (LONGLONG)nPairs, &box);
    }
    default:
        break;
    }
    return Fail(_T("records of the function 0x%04X are not read"), (unsigned)nFunction);
}

// Walks every record of checked bytes; pfnRecord sees each in turn.
bool WalkEnhanced(CMetafileWalker& walker, const BYTE* p, size_t n)
{
    if (!walker.StartEnhanced(p, n))
        return false;
    for (DWORD nAt = 0; nAt + 8 <= walker.m_nBytes;)
    {
        const DWORD nRecord = U32(p + nAt + 4);
        if (nRecord < 8 || nRecord % 4 != 0 || nRecord > walker.m_nBytes - nAt)
        {
            walker.m_strProblem.Format(_T("a record of %lu bytes at %lu runs past the end"), (unsigned long)nRecord,
                                       (unsigned long)nAt);
            return false;
        }
        CRecordCost cost;
        if (!walker.EnhRecord(p + nAt, nRecord, cost))
            return false;
        nAt += nRecord;
        if (U32(p + nAt - nRecord) == EMR_EOF)
        {
            if (nAt != walker.m_nBytes)
            {
                walker.m_strProblem = _T("records after the end record");
                return false;
            }
            return true;
        }
    }
    walker.m_strProblem = _T("no end record");
    return false;
}

bool WalkPlaceable(CMetafileWalker& walker, const BYTE* p, size_t n)
{
    if (!walker.StartPlaceable(p, n))
        return false;
    const BYTE* pMeta = p + walker.m_nMetaOffset;
    const size_t nMeta = walker.m_nMetaBytes;
    for (size_t nAt = kMetaHeaderSize; nAt + 6 <= nMeta;)
    {
        const ULONGLONG nRecord = (ULONGLONG)U32(pMeta + nAt) * 2;
        if (nRecord < 6 || nRecord > nMeta - nAt)
        {
            walker.m_strProblem.Format(_T("a record of %llu bytes at %lu runs past the end"),
                                       (unsigned long long)nRecord, (unsigned long)nAt);
            return false;
        }
        CRecordCost cost;
        if (!walker.MetaRecord(pMeta + nAt, (DWORD)nRecord, cost))
            return false;
        nAt += (size_t)nRecord;
        if (U16(pMeta + nAt - (size_t)nRecord + 4) == 0)
        {
            if (nAt != nMeta)
            {
                walker.m_strProblem = _T("records after the end record");
                return false;
            }
            return true;
        }
    }
    walker.m_strProblem = _T("no end record");
    return false;
}

// ---------------------------------------------------------------------------
// Playing

// What the record callbacks share while a metafile plays.
struct CPlayContext
{
    CPlayContext(const XTP_METAFILE_LIMITS& limits, const RECT& rcDest, bool bPricingOnly)
        : walker(limits), dCost(0), dMaxCost((double)limits.nMaxDrawCost), bRefused(false), bWidened(false),
          dWidenedRows(0), dWidenedHeight(0), bPricing(bPricingOnly), nPlayed(0)
    {
        const LONG nSide = std::max<LONG>(std::max<LONG>(rcDest.right - rcDest.left, rcDest.bottom - rcDest.top), 16);
        nMargin = (LONGLONG)nSide * 4;
        rcAllowed.left = rcDest.left - nMargin;
        rcAllowed.top = rcDest.top - nMargin;
        rcAllowed.right = rcDest.right + nMargin;
        rcAllowed.bottom = rcDest.bottom + nMargin;
    }
    CMetafileWalker walker;
    double dCost;   // what the records played so far cost
    double dMaxCost;
    LONGLONG nMargin;
    struct
    {
        LONGLONG left, top, right, bottom;
    } rcAllowed;
    bool bRefused;
    // The path was widened: the rows its outline's edges cross and its
    // height, on the device, for what fills it.
    bool bWidened;
    double dWidenedRows;
    double dWidenedHeight;
    // The records are priced and checked where they would draw, and only
    // those that move the mapping or the current position are played, so
    // that a picture is refused before anything of it is drawn. Otherwise
    // every record is played, each that draws from the current position
    // once that position is checked: all else was checked while pricing,
    // with the same mapping.
    bool bPricing;
    DWORD nPlayed;   // records played so far
};

// Logical points on the device, asked of the system at once. Points beyond
// what the system's coordinates hold are far outside any picture: they map
// to a place refused below.
void ToDevice(HDC hDC, const LONGLONG* pxy, int nPoints, LONGLONG* pOut)
{
    const LONGLONG nMax = 0x7FFFFFF;
    POINT pts[8];
    int nAsked = 0;
    for (int i = 0; i < nPoints && nAsked < 8; i++)
    {
        const LONGLONG x = pxy[i * 2], y = pxy[i * 2 + 1];
        if (x > nMax || x < -nMax || y > nMax || y < -nMax)
            continue;
        pts[nAsked].x = (LONG)x;
        pts[nAsked].y = (LONG)y;
        nAsked++;
    }
    if (nAsked > 0)
        ::LPtoDP(hDC, pts, nAsked);
    for (int i = 0, j = 0; i < nPoints; i++)
    {
        const LONGLONG x = pxy[i * 2], y = pxy[i * 2 + 1];
        if (x > nMax || x < -nMax || y > nMax || y < -nMax || j >= nAsked)
        {
            pOut[i * 2] = pOut[i * 2 + 1] = LLONG_MAX / 4;
            continue;
        }
        pOut[i * 2] = pts[j].x;
        pOut[i * 2 + 1] = pts[j].y;
        j++;
    }
}

// The length on the device of a logical length, the largest along either axis.
LONGLONG DeviceLength(HDC hDC, LONGLONG nLength)
{
    if (nLength == 0)
        return 0;
    const LONGLONG xy[6] = {0, 0, nLength, 0, 0, nLength};
    LONGLONG d[6];
    ToDevice(hDC, xy, 3, d);
    const double d1 = std::hypot((double)(d[2] - d[0]), (double)(d[3] - d[1]));
    const double d2 = std::hypot((double)(d[4] - d[0]), (double)(d[5] - d[1]));
    const double dMax = std::max(d1, d2);
    return dMax > 1.0e15 ? LLONG_MAX / 4 : (LONGLONG)dMax;
}

// FALSE when the record would draw beyond the allowed place, or with a pen,
// font or corner too large there.
bool WithinBounds(HDC hDC, CPlayContext& ctx, const CRecordCost& cost)
{
    CBox box = cost.box;
    if (cost.bFromCurrent)
    {
        POINT pt;
        if (::GetCurrentPositionEx(hDC, &pt))
            box.Add(pt.x, pt.y);
    }
    if (!box.bEmpty)
    {
        // The four corners, one point when the box is one.
        const LONGLONG xy[8] = {box.l, box.t, box.l, box.b, box.r, box.t, box.r, box.b};
        const int nCorners = box.l == box.r && box.t == box.b ? 1 : 4;
        LONGLONG device[8];
        ToDevice(hDC, xy, nCorners, device);
        for (int i = 0; i < nCorners; i++)
        {
            const LONGLONG x = device[i * 2], y = device[i * 2 + 1];
            if (x < ctx.rcAllowed.left || x > ctx.rcAllowed.right || y < ctx.rcAllowed.top ||
                y > ctx.rcAllowed.bottom)
            {
                ctx.walker.m_strProblem.Format(
                    _T("record %lu draws at %lld, %lld on the device, far outside the picture"),
                    (unsigned long)ctx.walker.Records(), (long long)x, (long long)y);
                return false;
            }
        }
    }
    const LONGLONG nLimit = ctx.nMargin * 2;
    if (DeviceLength(hDC, cost.nVector) > nLimit)
    {
        ctx.walker.m_strProblem.Format(_T("record %lu: a corner or frame far larger than the picture"),
                                       (unsigned long)ctx.walker.Records());
        return false;
    }
    // Most records draw nothing and cost nothing here: the device is asked
    // only for those that do.
    const bool bPriced = cost.bDraws || cost.bPathFill || cost.bWiden || cost.bEndsPath;
    if (!bPriced)
        return true;
    // The device pixels of a logical unit, as far as the mapping stretches.
    const LONGLONG nScaleBase = 1 << 16;
    const bool bScaled = cost.dRows > 0 || cost.bWiden || cost.dArea > 0 || ctx.walker.PenDash() > 0;
    const double dScale = bScaled ? (double)DeviceLength(hDC, nScaleBase) / (double)nScaleBase : 1.0;
    const LONGLONG nPen = DeviceLength(hDC, ctx.walker.PenSize());
    const double dPen = (double)std::max<LONGLONG>(1, nPen);
    double dCost = 0;
    // Filling a figure, or making a clip region of a path: its edges
    // against each other on the rows they share.
    if ((cost.bFills || cost.bPathFill) && cost.dRows > 0)
    {
        double dRows = cost.dRows * dScale;
        double dHeight = (cost.dHeight > 0 ? cost.dHeight : cost.box.bEmpty ? 0 : (double)(cost.box.b - cost.box.t)) *
                         dScale;
        if (cost.bPathFill && ctx.bWidened)
        {
            dRows = ctx.dWidenedRows;
            dHeight = ctx.dWidenedHeight;
        }
        dCost += kFillEdgeCost * dRows * dRows / std::max(1.0, dHeight);
    }
    else if (cost.bPathFill && ctx.bWidened)
    {
        dCost += kFillEdgeCost * ctx.dWidenedRows * ctx.dWidenedRows / std::max(1.0, ctx.dWidenedHeight);
    }
    if (cost.bWiden)
    {
        // Each line becomes an outline as wide as the pen, with its joins
        // and ends: edges across the pen's width on both sides.
        const double dSegments = cost.dLines + cost.dCurves * 8;
        ctx.dWidenedRows = 2 * cost.dRows * dScale + dSegments * 4 * dPen;
        ctx.dWidenedHeight = cost.dHeight * dScale + dPen;
        ctx.bWidened = true;
        dCost += dSegments * (2 + 0.5 * dPen);
    }
    else if (cost.bEndsPath)
    {
        ctx.bWidened = false;
    }
    // Painting pixel by pixel: the area on the device, each shape at most
    // the whole allowed place.
    if (cost.dArea > 0 || cost.dShapes > 0)
    {
        const double dAllowed = (double)(ctx.rcAllowed.right - ctx.rcAllowed.left) *
                                (double)(ctx.rcAllowed.bottom - ctx.rcAllowed.top);
        const double dArea = std::min(cost.dArea * dScale * dScale, std::max(1.0, cost.dShapes) * dAllowed);
        dCost += dArea * kAreaPixelCost + cost.dShapes * kAreaShapeCost;
    }
    ctx.dCost += dCost;
    if (!cost.bDraws)
    {
        if (!(ctx.dCost + ctx.walker.FixedCost() <= ctx.dMaxCost))
        {
            ctx.walker.m_strProblem.Format(
                _T("record %lu: drawing the picture would cost more than the %.0f allowed"),
                (unsigned long)ctx.walker.Records(), ctx.dMaxCost);
            return false;
        }
        return true;
    }
    if (nPen > nLimit)
    {
        ctx.walker.m_strProblem.Format(_T("record %lu: a pen far wider than the picture"),
                                       (unsigned long)ctx.walker.Records());
        return false;
    }
    const LONGLONG nFont = DeviceLength(hDC, ctx.walker.FontSize());
    if (nFont > nLimit)
    {
        ctx.walker.m_strProblem.Format(_T("record %lu: a font far larger than the picture"),
                                       (unsigned long)ctx.walker.Records());
        return false;
    }

    // What drawing it costs, added up over the records, in units of about
    // a microsecond of a desktop machine's time under Wine: a line costs
    // more as the pen widens, a curve with a wide pen far more (its outline
    // is widened into a region), a character its size squared once
    // rendered, a bitmap its pixels.
    const double dFont = (double)std::max<LONGLONG>(1, nFont);
    ctx.dCost += 2.0 + cost.dLines * (1.0 + 0.1 * dPen) + cost.dCurves * (10.0 + 12.0 * dPen) +
                 (double)cost.nChars * (1.0 + dFont * dFont / 200.0) + (double)cost.nPixels * 0.005 +
                 (double)cost.nCopyPixels * kCopyPixelCost;
    // A pen of its own dashes draws each dash apart.
    if (ctx.walker.PenDash() > 0 && (cost.dLines > 0 || cost.dCurves > 0))
    {
        const double dPeriod =
            std::max(1.0, ctx.walker.PenDashOnDevice() ? ctx.walker.PenDash() : ctx.walker.PenDash() * dScale);
        ctx.dCost += cost.dLength * dScale / dPeriod * 2 * (1.0 + 0.1 * dPen);
    }
    // With what the records cost wherever they are drawn (regions,
    // patterns), counted by the walker.
    if (!(ctx.dCost + ctx.walker.FixedCost() <= ctx.dMaxCost))
    {
        ctx.walker.m_strProblem.Format(_T("record %lu: drawing the picture would cost more than the %.0f allowed"),
                                       (unsigned long)ctx.walker.Records(), ctx.dMaxCost);
        return false;
    }
    return true;
}

// The end of an arc on its ellipse, toward a point, as the system finds it.
POINT ArcEnd(LONG nLeft, LONG nTop, LONG nRight, LONG nBottom, LONG x, LONG y)
{
    const double xCenter = ((double)nLeft + nRight) / 2, yCenter = ((double)nTop + nBottom) / 2;
    const double a = std::fabs((double)nRight - nLeft) / 2, b = std::fabs((double)nBottom - nTop) / 2;
    const double dx = x - xCenter, dy = y - yCenter;
    POINT pt = {(LONG)xCenter, (LONG)yCenter};
    if (a > 0 && b > 0 && (dx != 0 || dy != 0))
    {
        const double t = 1 / std::sqrt((dx / a) * (dx / a) + (dy / b) * (dy / b));
        pt.x = (LONG)std::floor(xCenter + t * dx + 0.5);
        pt.y = (LONG)std::floor(yCenter + t * dy + 0.5);
    }
    return pt;
}

// While pricing: plays a record of an enhanced metafile that changes the
// mapping, and moves the current position as a drawing record would; the
// checks have read the record whole.
void PriceEnhRecord(HDC hDC, HANDLETABLE* pTable, const ENHMETARECORD* pRecord, int nObjects)
{
    const BYTE* r = reinterpret_cast<const BYTE*>(pRecord);
    switch (pRecord->iType)
    {
    case EMR_SETMAPMODE:
    case EMR_SETWINDOWEXTEX:
    case EMR_SETWINDOWORGEX:
    case EMR_SETVIEWPORTEXTEX:
    case EMR_SETVIEWPORTORGEX:
    case EMR_SCALEVIEWPORTEXTEX:
    case EMR_SCALEWINDOWEXTEX:
    case EMR_SETWORLDTRANSFORM:
    case EMR_MODIFYWORLDTRANSFORM:
    case EMR_SETLAYOUT:
    case EMR_SAVEDC:
    case EMR_RESTOREDC:
    case EMR_MOVETOEX:
        ::PlayEnhMetaFileRecord(hDC, pTable, pRecord, (UINT)nObjects);
        break;
    case EMR_LINETO:
        ::MoveToEx(hDC, I32(r + 8), I32(r + 12), NULL);
        break;
    case EMR_POLYLINETO:
    case EMR_POLYBEZIERTO:
    case EMR_POLYLINETO16:
    case EMR_POLYBEZIERTO16:
    {
        // The last of the points.
        const DWORD nCount = U32(r + 24);
        if (nCount == 0)
            break;
        const bool b16 = pRecord->iType == EMR_POLYLINETO16 || pRecord->iType == EMR_POLYBEZIERTO16;
        const BYTE* pt = r + 28 + (size_t)(nCount - 1) * (b16 ? 4 : 8);
        ::MoveToEx(hDC, b16 ? I16(pt) : I32(pt), b16 ? I16(pt + 2) : I32(pt + 4), NULL);
        break;
    }
    case EMR_ARCTO:
    {
        const POINT pt = ArcEnd(I32(r + 8), I32(r + 12), I32(r + 16), I32(r + 20), I32(r + 32), I32(r + 36));
        ::MoveToEx(hDC, pt.x, pt.y, NULL);
        break;
    }
    default:
        break;
    }
}

// While playing: FALSE, with the reason, when the current position a record
// draws from lies far outside the picture on the device.
bool CurrentPositionInside(HDC hDC, CPlayContext& ctx)
{
    POINT pt;
    if (!::GetCurrentPositionEx(hDC, &pt))
        return true;
    const LONGLONG xy[2] = {pt.x, pt.y};
    LONGLONG device[2];
    ToDevice(hDC, xy, 1, device);
    if (device[0] >= ctx.rcAllowed.left && device[0] <= ctx.rcAllowed.right && device[1] >= ctx.rcAllowed.top &&
        device[1] <= ctx.rcAllowed.bottom)
        return true;
    ctx.walker.m_strProblem.Format(_T("record %lu draws from %lld, %lld on the device, far outside the picture"),
                                   (unsigned long)ctx.nPlayed, (long long)device[0], (long long)device[1]);
    return false;
}

int CALLBACK PlayEnhRecord(HDC hDC, HANDLETABLE* pTable, const ENHMETARECORD* pRecord, int nObjects, LPARAM lParam)
{
    CPlayContext& ctx = *reinterpret_cast<CPlayContext*>(lParam);
    if (!ctx.bPricing)
    {
        ctx.nPlayed++;
        switch (pRecord->iType)
        {
        case EMR_LINETO:
        case EMR_POLYLINETO:
        case EMR_POLYBEZIERTO:
        case EMR_POLYLINETO16:
        case EMR_POLYBEZIERTO16:
        case EMR_ARCTO:
            if (!CurrentPositionInside(hDC, ctx))
            {
                ctx.bRefused = true;
                return 0;
            }
            break;
        default:
            break;
        }
        ::PlayEnhMetaFileRecord(hDC, pTable, pRecord, (UINT)nObjects);
        return 1;
    }
    CRecordCost cost;
    if (!ctx.walker.EnhRecord(reinterpret_cast<const BYTE*>(pRecord), pRecord->nSize, cost) ||
        !WithinBounds(hDC, ctx, cost))
    {
        ctx.bRefused = true;
        return 0;
    }
    PriceEnhRecord(hDC, pTable, pRecord, nObjects);
    return 1;
}

// FALSE when scaling the DC's viewport or window extent by the fractions
// would leave the range the system computes in: its product overflows, or
// its quotient of the overflow by -1 faults.
bool ScaleFits(HDC hDC, bool bViewport, LONG xNum, LONG xDenom, LONG yNum, LONG yDenom)
{
    SIZE ext = {0, 0};
    if (!(bViewport ? ::GetViewportExtEx(hDC, &ext) : ::GetWindowExtEx(hDC, &ext)))
        return false;
    const LONGLONG nLimit = 0x7FFFFFF;
    const LONGLONG nProductLimit = 0x3FFFFFFF;
    const LONGLONG xProduct = (LONGLONG)ext.cx * xNum, yProduct = (LONGLONG)ext.cy * yNum;
    if (xDenom == 0 || yDenom == 0 || std::llabs(xProduct) > nProductLimit || std::llabs(yProduct) > nProductLimit)
        return false;
    const LONGLONG cx = xProduct / xDenom, cy = yProduct / yDenom;
    return cx != 0 && cy != 0 && std::llabs(cx) <= nLimit && std::llabs(cy) <= nLimit;
}

int CALLBACK PlayMetaRecord(HDC hDC, HANDLETABLE* pTable, METARECORD* pRecord, int nObjects, LPARAM lParam)
{
    CPlayContext& ctx = *reinterpret_cast<CPlayContext*>(lParam);
    if (!ctx.bPricing)
    {
        ctx.nPlayed++;
        if (pRecord->rdFunction == 0x0213 && !CurrentPositionInside(hDC, ctx))   // LineTo
        {
            ctx.bRefused = true;
            return 0;
        }
        ::PlayMetaFileRecord(hDC, pTable, pRecord, (UINT)nObjects);
        return 1;
    }
    CRecordCost cost;
    const BYTE* pBytes = reinterpret_cast<const BYTE*>(pRecord);
    bool bSound = ctx.walker.MetaRecord(pBytes, pRecord->rdSize * 2, cost) && WithinBounds(hDC, ctx, cost);
    // The walker saw four words of ScaleWindowExt and ScaleViewportExt:
    // y denominator, y numerator, x denominator, x numerator.
    if (bSound && (pRecord->rdFunction == 0x0410 || pRecord->rdFunction == 0x0412) &&
        !ScaleFits(hDC, pRecord->rdFunction == 0x0412, I16(pBytes + 12), I16(pBytes + 10), I16(pBytes + 8),
                   I16(pBytes + 6)))
    {
        ctx.walker.m_strProblem.Format(_T("record %lu scales the picture beyond what the system computes"),
                                       (unsigned long)ctx.walker.Records());
        bSound = false;
    }
    if (!bSound)
    {
        ctx.bRefused = true;
        return 0;
    }
    // While pricing: the records that change the mapping, and the current
    // position as a line moves it.
    switch (pRecord->rdFunction)
    {
    case 0x0103:   // SetMapMode
    case 0x020B:   // SetWindowOrg
    case 0x020C:   // SetWindowExt
    case 0x020D:   // SetViewportOrg
    case 0x020E:   // SetViewportExt
    case 0x020F:   // OffsetWindowOrg
    case 0x0211:   // OffsetViewportOrg
    case 0x0410:   // ScaleWindowExt
    case 0x0412:   // ScaleViewportExt
    case 0x001E:   // SaveDC
    case 0x0127:   // RestoreDC
    case 0x0214:   // MoveTo
        ::PlayMetaFileRecord(hDC, pTable, pRecord, (UINT)nObjects);
        break;
    case 0x0213:   // LineTo: y, x
        ::MoveToEx(hDC, I16(pBytes + 8), I16(pBytes + 6), NULL);
        break;
    default:
        break;
    }
    return 1;
}

// Plays the checked metafile onto hDC into rcDest, or only prices it there
// (bPricing); false with the reason when a record is refused.
bool PlayPass(HDC hDC, const RECT& rcDest, const BYTE* pData, size_t nSize, CString& strProblem,
              const XTP_METAFILE_LIMITS& limits, bool bPricing);
} // namespace

const XTP_METAFILE_LIMITS& AFX_CDECL XTPMetafileDefaultLimits()
{
    // Button pictures are small: these leave room for any picture drawn for
    // one and keep the cost of the worst file within a fraction of a second.
    static const XTP_METAFILE_LIMITS s_limits = {
        100000,    // records
        4096,      // object table entries
        400000,    // points
        4096,      // characters
        64,        // saved states
        4096,      // bitmap side
        4194304,   // bitmap pixels
        300000     // drawing cost: about 0.3 s on a desktop machine
    };
    return s_limits;
}

BOOL AFX_CDECL XTPIsEnhMetafileData(const BYTE* pData, size_t nSize)
{
    return pData != NULL && nSize >= kEnhHeaderSize && U32(pData) == EMR_HEADER &&
           U32(pData + 40) == ENHMETA_SIGNATURE;
}

BOOL AFX_CDECL XTPIsPlaceableMetafileData(const BYTE* pData, size_t nSize)
{
    return pData != NULL && nSize >= 4 && U32(pData) == kPlaceableKey;
}

BOOL AFX_CDECL XTPCheckMetafileData(const BYTE* pData, size_t nSize, CString& strProblem,
                                    const XTP_METAFILE_LIMITS& limits)
{
    strProblem.Empty();
    CMetafileWalker walker(limits);
    bool bSound = false;
    if (XTPIsEnhMetafileData(pData, nSize))
        bSound = WalkEnhanced(walker, pData, nSize);
    else if (XTPIsPlaceableMetafileData(pData, nSize))
        bSound = WalkPlaceable(walker, pData, nSize);
    else
        walker.m_strProblem = _T("neither an enhanced nor a placeable metafile");
    if (!bSound)
        strProblem = walker.m_strProblem;
    return bSound;
}

BOOL AFX_CDECL XTPPlayMetafileData(HDC hDC, const RECT& rcDest, const BYTE* pData, size_t nSize, CString& strProblem,
                                   const XTP_METAFILE_LIMITS& limits)
{
    if (hDC == NULL || rcDest.right <= rcDest.left || rcDest.bottom <= rcDest.top)
    {
        strProblem = _T("nowhere to draw");
        return FALSE;
    }
    if (!XTPCheckMetafileData(pData, nSize, strProblem, limits))
        return FALSE;
    // What drawing costs depends on where the records draw: a first pass
    // checks and prices every record there, so that a picture too costly is
    // refused before anything of it is drawn; the second draws.
    return PlayPass(hDC, rcDest, pData, nSize, strProblem, limits, true) &&
                   PlayPass(hDC, rcDest, pData, nSize, strProblem, limits, false)
               ? TRUE
               : FALSE;
}

namespace
{
bool PlayPass(HDC hDC, const RECT& rcDest, const BYTE* pData, size_t nSize, CString& strProblem,
              const XTP_METAFILE_LIMITS& limits, bool bPricing)
{
    CPlayContext ctx(limits, rcDest, bPricing);
    BOOL bPlayed = FALSE;
    const int nSaved = ::SaveDC(hDC);
    if (XTPIsEnhMetafileData(pData, nSize))
    {
        ctx.walker.StartEnhanced(pData, nSize);
        HENHMETAFILE hEmf = ::SetEnhMetaFileBits(ctx.walker.m_nBytes, pData);
        if (hEmf != NULL)
        {
            bPlayed = ::EnumEnhMetaFile(hDC, hEmf, PlayEnhRecord, &ctx, &rcDest);
            ::DeleteEnhMetaFile(hEmf);
        }
    }
    else
    {
        ctx.walker.StartPlaceable(pData, nSize);
        HMETAFILE hWmf = ::SetMetaFileBitsEx((UINT)ctx.walker.m_nMetaBytes, pData + ctx.walker.m_nMetaOffset);
        if (hWmf != NULL)
        {
            // The placeable frame fills the place, as the metafile's own
            // window settings then refine it.
            const RECT& rcFrame = ctx.walker.m_rcPlaceable;
            ::SetMapMode(hDC, MM_ANISOTROPIC);
            ::SetWindowOrgEx(hDC, rcFrame.left, rcFrame.top, NULL);
            ::SetWindowExtEx(hDC, rcFrame.right - rcFrame.left, rcFrame.bottom - rcFrame.top, NULL);
            ::SetViewportOrgEx(hDC, rcDest.left, rcDest.top, NULL);
            ::SetViewportExtEx(hDC, rcDest.right - rcDest.left, rcDest.bottom - rcDest.top, NULL);
            bPlayed = ::EnumMetaFile(hDC, hWmf, PlayMetaRecord, reinterpret_cast<LPARAM>(&ctx));
            ::DeleteMetaFile(hWmf);
        }
    }
    if (nSaved != 0)
        ::RestoreDC(hDC, nSaved);
    if (ctx.bRefused)
    {
        strProblem = ctx.walker.m_strProblem;
        return false;
    }
    if (!bPlayed)
    {
        strProblem = _T("the system could not play the metafile");
        return false;
    }
    return true;
}
} // namespace
