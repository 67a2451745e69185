// make_window_pictures: draws the game window's pictures at build time.
//
//   make_window_pictures <source folder> <output folder> [font file...]
//
// It runs under Wine during the build and draws with GDI, so its text uses
// the fonts the game itself uses (the font files named on the command line
// are added privately first). It writes into the output folder:
//   game_icon.ico                      the program icon (32 x 32 and 16 x 16)
//   banner.bmp                         the printed pages' banner, 656 x 96
//   about_back.bmp, splash.bmp         the about box background and the splash
//   clock_digits.bmp                   the clock's 12-glyph strip, 267 x 31
//   tutorial_<id>.bmp                  the tutorial pages 2058 to 2072
//   game_window_pictures.rc            the resource lines naming them
// The glyphs come from clock_digits.txt and the tutorial's words and
// pictures from game_tutorial.txt in the source folder.
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace
{
// ---------------------------------------------------------------------------
// A 32-bit top-down drawing surface with a memory DC.

class Canvas
{
public:
    Canvas(int cx, int cy) : m_cx(cx), m_cy(cy), m_pBits(NULL)
    {
        BITMAPINFO bmi;
        memset(&bmi, 0, sizeof(bmi));
        bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bmi.bmiHeader.biWidth = cx;
        bmi.bmiHeader.biHeight = -cy;
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 32;
        m_hDC = ::CreateCompatibleDC(NULL);
        m_hBitmap = ::CreateDIBSection(m_hDC, &bmi, DIB_RGB_COLORS, (void**)&m_pBits, NULL, 0);
        m_hOld = ::SelectObject(m_hDC, m_hBitmap);
        ::SetBkMode(m_hDC, TRANSPARENT);
    }
    ~Canvas()
    {
        ::SelectObject(m_hDC, m_hOld);
        ::DeleteObject(m_hBitmap);
        ::DeleteDC(m_hDC);
    }
    bool IsValid() const { return m_pBits != NULL; }
    HDC GetDC() const { return m_hDC; }
    int Width() const { return m_cx; }
    int Height() const { return m_cy; }
    // The pixel as a COLORREF (red in the low byte).
    COLORREF GetPixel(int x, int y) const
    {
        DWORD v = m_pBits[y * m_cx + x];
        return RGB((v >> 16) & 255, (v >> 8) & 255, v & 255);
    }
    void SetPixel(int x, int y, COLORREF cr)
    {
        if (x >= 0 && y >= 0 && x < m_cx && y < m_cy)
            m_pBits[y * m_cx + x] = (GetRValue(cr) << 16) | (GetGValue(cr) << 8) | GetBValue(cr);
    }
    void Flush() { ::GdiFlush(); }

private:
    int m_cx, m_cy;
    DWORD* m_pBits;
    HDC m_hDC;
    HBITMAP m_hBitmap;
    HGDIOBJ m_hOld;
};

// ---------------------------------------------------------------------------
// Drawing helpers

void FillRectColour(HDC hDC, int l, int t, int r, int b, COLORREF cr)
{
    RECT rc = {l, t, r, b};
    HBRUSH hBrush = ::CreateSolidBrush(cr);
    ::FillRect(hDC, &rc, hBrush);
    ::DeleteObject(hBrush);
}

void FrameRectColour(HDC hDC, int l, int t, int r, int b, COLORREF cr, int nWidth = 1)
{
    for (int i = 0; i < nWidth; i++)
    {
        FillRectColour(hDC, l + i, t + i, r - i, t + i + 1, cr);
        FillRectColour(hDC, l + i, b - i - 1, r - i, b - i, cr);
        FillRectColour(hDC, l + i, t + i, l + i + 1, b - i, cr);
        FillRectColour(hDC, r - i - 1, t + i, r - i, b - i, cr);
    }
}

COLORREF Mix(COLORREF a, COLORREF b, double f)
{
    return RGB((int)(GetRValue(a) + (GetRValue(b) - GetRValue(a)) * f + 0.5),
               (int)(GetGValue(a) + (GetGValue(b) - GetGValue(a)) * f + 0.5),
               (int)(GetBValue(a) + (GetBValue(b) - GetBValue(a)) * f + 0.5));
}

void GradientV(HDC hDC, int l, int t, int r, int b, COLORREF crTop, COLORREF crBottom)
{
    int h = b - t;
    for (int y = 0; y < h; y++)
        FillRectColour(hDC, l, t + y, r, t + y + 1, Mix(crTop, crBottom, h > 1 ? (double)y / (h - 1) : 0.0));
}

void GradientH(HDC hDC, int l, int t, int r, int b, COLORREF crLeft, COLORREF crRight)
{
    int w = r - l;
    for (int x = 0; x < w; x++)
        FillRectColour(hDC, l + x, t, l + x + 1, b, Mix(crLeft, crRight, w > 1 ? (double)x / (w - 1) : 0.0));
}

HFONT MakeFont(int nHeight, bool bBold, const char* pszFace = "Tahoma", bool bItalic = false)
{
    return ::CreateFontA(-nHeight, 0, 0, 0, bBold ? FW_BOLD : FW_NORMAL, bItalic, 0, 0, DEFAULT_CHARSET,
                         OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH, pszFace);
}

// Draws text with the font; returns the height used. DT flags as DrawText.
int DrawTextIn(HDC hDC, const std::string& text, HFONT hFont, COLORREF cr, RECT rc, UINT nFormat)
{
    HGDIOBJ hOld = ::SelectObject(hDC, hFont);
    ::SetTextColor(hDC, cr);
    ::SetBkMode(hDC, TRANSPARENT);
    RECT rcCalc = rc;
    int nHeight = ::DrawTextA(hDC, text.c_str(), (int)text.size(), &rcCalc, nFormat | DT_CALCRECT);
    if ((nFormat & DT_CALCRECT) == 0)
        ::DrawTextA(hDC, text.c_str(), (int)text.size(), &rc, nFormat);
    ::SelectObject(hDC, hOld);
    return nHeight;
}

void Line(HDC hDC, int x1, int y1, int x2, int y2, COLORREF cr, int nWidth)
{
    LOGBRUSH lb = {BS_SOLID, cr, 0};
    HPEN hPen = ::ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_FLAT, nWidth, &lb, 0, NULL);
    HGDIOBJ hOld = ::SelectObject(hDC, hPen);
    ::MoveToEx(hDC, x1, y1, NULL);
    ::LineTo(hDC, x2, y2);
    ::SelectObject(hDC, hOld);
    ::DeleteObject(hPen);
}

void Polygon(HDC hDC, const POINT* pts, int n, COLORREF crFill, COLORREF crLine)
{
    HBRUSH hBrush = ::CreateSolidBrush(crFill);
    HPEN hPen = ::CreatePen(PS_SOLID, 1, crLine);
    HGDIOBJ hOldBrush = ::SelectObject(hDC, hBrush);
    HGDIOBJ hOldPen = ::SelectObject(hDC, hPen);
    ::Polygon(hDC, pts, n);
    ::SelectObject(hDC, hOldBrush);
    ::SelectObject(hDC, hOldPen);
    ::DeleteObject(hBrush);
    ::DeleteObject(hPen);
}

// ---------------------------------------------------------------------------
// Boards in the colours of the game's "Standard" appearance profile

struct Cell
{
    int nNumber;    // -1: none
    char cState;    // '.' undecided, 'x' unshaded, 's' shaded
    char cMark;     // 0, 'd' duplicate, 'a' adjacent, 'i' island
};

const COLORREF kSquareBorder = RGB(51, 51, 51);
const COLORREF kShadedFill = RGB(51, 51, 51);
const COLORREF kShadedNumber = RGB(255, 255, 255);
const COLORREF kUnshadedFill = RGB(255, 255, 255);
const COLORREF kUnshadedNumber = RGB(0, 0, 0);
const COLORREF kIslandFill = RGB(0, 0, 128);
const COLORREF kIslandNumber = RGB(0, 0, 255);
const COLORREF kDupFill = RGB(128, 0, 0);
const COLORREF kDupNumber = RGB(255, 0, 0);
const COLORREF kAdjacentFill = RGB(204, 204, 0);
const COLORREF kAdjacentNumber = RGB(0, 0, 0);
const COLORREF kBoardBack = RGB(198, 198, 198);

// One square at (x, y) of side s, as the board view paints it.
void DrawSquare(HDC hDC, int x, int y, int s, const Cell& cell, HFONT hFont)
{
    COLORREF crFill, crNumber;
    if (cell.cMark == 'i')
        crFill = kIslandFill, crNumber = kIslandNumber;
    else if (cell.cMark == 'd')
        crFill = kDupFill, crNumber = kDupNumber;
    else if (cell.cMark == 'a')
        crFill = kAdjacentFill, crNumber = kAdjacentNumber;
    else if (cell.cState == 's')
        crFill = kShadedFill, crNumber = kShadedNumber;
    else
        crFill = kUnshadedFill, crNumber = kUnshadedNumber;
    FillRectColour(hDC, x, y, x + s, y + s, crFill);

    if (cell.cState == 'x')
    {
        int q = s / 4;
        Line(hDC, x + q, y + q, x + s - q, y + s - q, kSquareBorder, std::max(2, s / 8));
        Line(hDC, x + s - q, y + q, x + q, y + s - q, kSquareBorder, std::max(2, s / 8));
    }
    // Left and top edges; the board's outline closes the others.
    FillRectColour(hDC, x, y, x + 1, y + s, kSquareBorder);
    FillRectColour(hDC, x, y, x + s, y + 1, kSquareBorder);

    if (cell.nNumber >= 0)
    {
        char szNumber[16];
        snprintf(szNumber, sizeof(szNumber), "%d", cell.nNumber);
        RECT rc = {x, y, x + s, y + s};
        DrawTextIn(hDC, szNumber, hFont, crNumber, rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    if (cell.cState == 's' && cell.cMark != 'a' && cell.cMark != 'i')
    {
        // The hatch over a shaded square.
        int m = std::max(1, s / 10);
        HBRUSH hHatch = ::CreateHatchBrush(HS_DIAGCROSS, crNumber);
        HGDIOBJ hOldBrush = ::SelectObject(hDC, hHatch);
        HGDIOBJ hOldPen = ::SelectObject(hDC, ::GetStockObject(NULL_PEN));
        ::SetBkMode(hDC, TRANSPARENT);
        ::Rectangle(hDC, x + m, y + m, x + s - m + 1, y + s - m + 1);
        ::SelectObject(hDC, hOldBrush);
        ::SelectObject(hDC, hOldPen);
        ::DeleteObject(hHatch);
    }
}

// A side x side board with its grey margin and black outline.
void DrawBoard(HDC hDC, int x, int y, int s, int nSide, const std::vector<Cell>& cells)
{
    HFONT hFont = MakeFont(s * 11 / 20, true);
    for (int r = 0; r < nSide; r++)
        for (int c = 0; c < nSide; c++)
        {
            size_t i = (size_t)(r * nSide + c);
            if (i < cells.size())
                DrawSquare(hDC, x + c * s, y + r * s, s, cells[i], hFont);
        }
    FrameRectColour(hDC, x, y, x + nSide * s + 1, y + nSide * s + 1, RGB(0, 0, 0), 3);
    ::DeleteObject(hFont);
}

bool ParseCell(const std::string& token, Cell& cell)
{
    size_t i = 0;
    cell.nNumber = 0;
    while (i < token.size() && token[i] >= '0' && token[i] <= '9')
        cell.nNumber = cell.nNumber * 10 + (token[i++] - '0');
    if (i == 0 || i >= token.size())
        return false;
    cell.cState = token[i++];
    cell.cMark = i < token.size() ? token[i] : 0;
    return strchr(".xs", cell.cState) != NULL && (cell.cMark == 0 || strchr("dai", cell.cMark) != NULL);
}

// ---------------------------------------------------------------------------
// Writing pictures

bool WriteFile(const std::string& path, const std::vector<unsigned char>& bytes)
{
    FILE* f = fopen(path.c_str(), "wb");
    if (f == NULL)
    {
        fprintf(stderr, "make_window_pictures: cannot write %s\n", path.c_str());
        return false;
    }
    bool bOk = fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    bOk = fclose(f) == 0 && bOk;
    if (!bOk)
        fprintf(stderr, "make_window_pictures: failed writing %s\n", path.c_str());
    return bOk;
}

void Put16(std::vector<unsigned char>& v, unsigned n)
{
    v.push_back((unsigned char)(n & 255));
    v.push_back((unsigned char)((n >> 8) & 255));
}

void Put32(std::vector<unsigned char>& v, unsigned n)
{
    Put16(v, n & 0xFFFF);
    Put16(v, n >> 16);
}

// The BITMAPINFOHEADER of a bottom-up picture.
void PutInfoHeader(std::vector<unsigned char>& v, int cx, int cy, int nBits, unsigned nCompression,
                   unsigned nImageSize, unsigned nColours)
{
    Put32(v, 40);
    Put32(v, (unsigned)cx);
    Put32(v, (unsigned)cy);
    Put16(v, 1);
    Put16(v, (unsigned)nBits);
    Put32(v, nCompression);
    Put32(v, nImageSize);
    Put32(v, 2835);
    Put32(v, 2835);
    Put32(v, nColours);
    Put32(v, 0);
}

std::vector<unsigned char> FileHeader(unsigned nFileSize, unsigned nOffset)
{
    std::vector<unsigned char> v;
    v.push_back('B');
    v.push_back('M');
    Put32(v, nFileSize);
    Put32(v, 0);
    Put32(v, nOffset);
    return v;
}

bool WriteBmp24(const Canvas& canvas, const std::string& path)
{
    int nStride = (canvas.Width() * 3 + 3) & ~3;
    std::vector<unsigned char> pixels;
    for (int y = canvas.Height() - 1; y >= 0; y--)
    {
        size_t nStart = pixels.size();
        for (int x = 0; x < canvas.Width(); x++)
        {
            COLORREF cr = canvas.GetPixel(x, y);
            pixels.push_back(GetBValue(cr));
            pixels.push_back(GetGValue(cr));
            pixels.push_back(GetRValue(cr));
        }
        pixels.resize(nStart + (size_t)nStride, 0);
    }
    std::vector<unsigned char> file = FileHeader((unsigned)(54 + pixels.size()), 54);
    PutInfoHeader(file, canvas.Width(), canvas.Height(), 24, BI_RGB, (unsigned)pixels.size(), 0);
    file.insert(file.end(), pixels.begin(), pixels.end());
    return WriteFile(path, file);
}

// Palette of at most 256 colours for a picture: its own colours when there
// are few enough, else the most frequent ones (others map to the nearest).
std::vector<COLORREF> MakePalette(const Canvas& canvas, const std::vector<COLORREF>& fixed)
{
    std::map<COLORREF, unsigned> counts;
    for (int y = 0; y < canvas.Height(); y++)
        for (int x = 0; x < canvas.Width(); x++)
            counts[canvas.GetPixel(x, y)]++;
    std::vector<COLORREF> palette = fixed;
    for (COLORREF cr : fixed)
        counts.erase(cr);
    std::vector<std::pair<unsigned, COLORREF>> byCount;
    for (const auto& entry : counts)
        byCount.push_back(std::make_pair(entry.second, entry.first));
    std::sort(byCount.rbegin(), byCount.rend());
    for (size_t i = 0; i < byCount.size() && palette.size() < 256; i++)
        palette.push_back(byCount[i].second);
    return palette;
}

unsigned char NearestIndex(const std::vector<COLORREF>& palette, COLORREF cr, std::map<COLORREF, unsigned char>& cache)
{
    auto found = cache.find(cr);
    if (found != cache.end())
        return found->second;
    int nBest = 0;
    long lBest = -1;
    for (size_t i = 0; i < palette.size(); i++)
    {
        long dr = (long)GetRValue(cr) - GetRValue(palette[i]);
        long dg = (long)GetGValue(cr) - GetGValue(palette[i]);
        long db = (long)GetBValue(cr) - GetBValue(palette[i]);
        long d = dr * dr + dg * dg + db * db;
        if (lBest < 0 || d < lBest)
            lBest = d, nBest = (int)i;
    }
    cache[cr] = (unsigned char)nBest;
    return (unsigned char)nBest;
}

// One row of palette indexes in the run-length encoding of 8-bit pictures.
void EncodeRle8Row(const std::vector<unsigned char>& row, std::vector<unsigned char>& out)
{
    size_t i = 0, n = row.size();
    while (i < n)
    {
        size_t nRun = 1;
        while (i + nRun < n && nRun < 255 && row[i + nRun] == row[i])
            nRun++;
        if (nRun >= 3 || n - i < 3)
        {
            out.push_back((unsigned char)nRun);
            out.push_back(row[i]);
            i += nRun;
            continue;
        }
        // A stretch of differing indexes, written as they are, up to the
        // next run of three.
        size_t nLiteral = 0;
        while (i + nLiteral < n && nLiteral < 255)
        {
            if (i + nLiteral + 2 < n && row[i + nLiteral] == row[i + nLiteral + 1] &&
                row[i + nLiteral] == row[i + nLiteral + 2])
                break;
            nLiteral++;
        }
        if (nLiteral < 3)
        {
            for (size_t k = 0; k < nLiteral; k++)
            {
                out.push_back(1);
                out.push_back(row[i + k]);
            }
        }
        else
        {
            out.push_back(0);
            out.push_back((unsigned char)nLiteral);
            for (size_t k = 0; k < nLiteral; k++)
                out.push_back(row[i + k]);
            if (nLiteral & 1)
                out.push_back(0);
        }
        i += nLiteral;
    }
    out.push_back(0);
    out.push_back(0);
}

// An 8-bit picture; fixed colours come first in the palette (the glyph strip
// needs exact black, red and blue). bRle compresses it.
bool WriteBmp8(const Canvas& canvas, const std::string& path, const std::vector<COLORREF>& fixed, bool bRle)
{
    std::vector<COLORREF> palette = MakePalette(canvas, fixed);
    std::map<COLORREF, unsigned char> cache;
    std::vector<unsigned char> pixels;
    int nStride = (canvas.Width() + 3) & ~3;
    for (int y = canvas.Height() - 1; y >= 0; y--)
    {
        std::vector<unsigned char> row;
        for (int x = 0; x < canvas.Width(); x++)
            row.push_back(NearestIndex(palette, canvas.GetPixel(x, y), cache));
        if (bRle)
            EncodeRle8Row(row, pixels);
        else
        {
            row.resize((size_t)nStride, 0);
            pixels.insert(pixels.end(), row.begin(), row.end());
        }
    }
    if (bRle)
    {
        pixels.push_back(0);
        pixels.push_back(1);
    }
    unsigned nOffset = 54 + 4 * (unsigned)palette.size();
    std::vector<unsigned char> file = FileHeader(nOffset + (unsigned)pixels.size(), nOffset);
    PutInfoHeader(file, canvas.Width(), canvas.Height(), 8, bRle ? BI_RLE8 : BI_RGB, (unsigned)pixels.size(),
                  (unsigned)palette.size());
    for (COLORREF cr : palette)
    {
        file.push_back(GetBValue(cr));
        file.push_back(GetGValue(cr));
        file.push_back(GetRValue(cr));
        file.push_back(0);
    }
    file.insert(file.end(), pixels.begin(), pixels.end());
    return WriteFile(path, file);
}

// An icon file of several 32-bit images with their AND masks; a pixel of
// the transparent colour is masked out.
bool WriteIcon(const std::vector<const Canvas*>& images, COLORREF crTransparent, const std::string& path)
{
    std::vector<std::vector<unsigned char>> blobs;
    for (const Canvas* pCanvas : images)
    {
        int cx = pCanvas->Width(), cy = pCanvas->Height();
        std::vector<unsigned char> blob;
        int nMaskStride = ((cx + 31) / 32) * 4;
        PutInfoHeader(blob, cx, cy * 2, 32, BI_RGB, (unsigned)(cx * cy * 4 + nMaskStride * cy), 0);
        for (int y = cy - 1; y >= 0; y--)
            for (int x = 0; x < cx; x++)
            {
                COLORREF cr = pCanvas->GetPixel(x, y);
                bool bClear = cr == crTransparent;
                blob.push_back(bClear ? 0 : GetBValue(cr));
                blob.push_back(bClear ? 0 : GetGValue(cr));
                blob.push_back(bClear ? 0 : GetRValue(cr));
                blob.push_back(bClear ? 0 : 255);
            }
        for (int y = cy - 1; y >= 0; y--)
        {
            std::vector<unsigned char> row((size_t)nMaskStride, 0);
            for (int x = 0; x < cx; x++)
                if (pCanvas->GetPixel(x, y) == crTransparent)
                    row[(size_t)(x / 8)] |= (unsigned char)(0x80 >> (x % 8));
            blob.insert(blob.end(), row.begin(), row.end());
        }
        blobs.push_back(blob);
    }
    std::vector<unsigned char> file;
    Put16(file, 0);
    Put16(file, 1);
    Put16(file, (unsigned)images.size());
    unsigned nOffset = 6 + 16 * (unsigned)images.size();
    for (size_t i = 0; i < images.size(); i++)
    {
        file.push_back((unsigned char)images[i]->Width());
        file.push_back((unsigned char)images[i]->Height());
        file.push_back(0);
        file.push_back(0);
        Put16(file, 1);
        Put16(file, 32);
        Put32(file, (unsigned)blobs[i].size());
        Put32(file, nOffset);
        nOffset += (unsigned)blobs[i].size();
    }
    for (const auto& blob : blobs)
        file.insert(file.end(), blob.begin(), blob.end());
    return WriteFile(path, file);
}

// ---------------------------------------------------------------------------
// Source texts

bool ReadLines(const std::string& path, std::vector<std::string>& lines)
{
    FILE* f = fopen(path.c_str(), "rb");
    if (f == NULL)
    {
        fprintf(stderr, "make_window_pictures: cannot read %s\n", path.c_str());
        return false;
    }
    std::string line;
    int ch;
    while ((ch = fgetc(f)) != EOF)
    {
        if (ch == '\n')
        {
            lines.push_back(line);
            line.clear();
        }
        else if (ch != '\r')
            line += (char)ch;
    }
    if (!line.empty())
        lines.push_back(line);
    fclose(f);
    return true;
}

std::vector<std::string> SplitWords(const std::string& text)
{
    std::vector<std::string> words;
    std::string word;
    for (char ch : text)
    {
        if (ch == ' ' || ch == '\t')
        {
            if (!word.empty())
                words.push_back(word);
            word.clear();
        }
        else
            word += ch;
    }
    if (!word.empty())
        words.push_back(word);
    return words;
}

// The rest of a line after its first word.
std::string RestOf(const std::string& line)
{
    size_t nSpace = line.find(' ');
    return nSpace == std::string::npos ? std::string() : line.substr(nSpace + 1);
}

// Twelve glyphs of 7 rows of 5 dots, in strip order.
typedef std::vector<std::string> Glyph;

bool ReadGlyphs(const std::string& path, std::map<char, Glyph>& glyphs)
{
    std::vector<std::string> lines;
    if (!ReadLines(path, lines))
        return false;
    char cCurrent = 0;
    for (const std::string& line : lines)
    {
        // Comments start with "# "; glyph rows, which may start with '#',
        // have no blank.
        if (line.empty() || line.compare(0, 2, "# ") == 0)
            continue;
        if (line.compare(0, 6, "glyph ") == 0 && line.size() == 7)
        {
            cCurrent = line[6];
            continue;
        }
        if (cCurrent == 0 || line.size() != 5)
        {
            fprintf(stderr, "make_window_pictures: bad glyph line \"%s\"\n", line.c_str());
            return false;
        }
        glyphs[cCurrent].push_back(line);
    }
    const char* pszOrder = "0123456789:-";
    for (const char* p = pszOrder; *p; p++)
        if (glyphs[*p].size() != 7)
        {
            fprintf(stderr, "make_window_pictures: glyph '%c' needs 7 rows\n", *p);
            return false;
        }
    return true;
}

// ---------------------------------------------------------------------------
// The clock's dot matrix

const int kGlyphWidth = 22;
const int kGlyphHeight = 31;
const int kDotPitch = 4;
const int kDotSize = 3;

// One glyph at (x, y); lit and unlit dots in the given colours.
void DrawGlyph(Canvas& canvas, int x, int y, const Glyph& glyph, COLORREF crOn, COLORREF crOff, int nScale = 1)
{
    for (int r = 0; r < 7; r++)
        for (int c = 0; c < 5; c++)
        {
            COLORREF cr = glyph[(size_t)r][(size_t)c] == '#' ? crOn : crOff;
            int dx = x + (1 + c * kDotPitch) * nScale, dy = y + (2 + r * kDotPitch) * nScale;
            for (int py = 0; py < kDotSize * nScale; py++)
                for (int px = 0; px < kDotSize * nScale; px++)
                    canvas.SetPixel(dx + px, dy + py, cr);
        }
}

bool MakeClockDigits(const std::map<char, Glyph>& glyphs, const std::string& outDir)
{
    // 12 glyphs of 22 pixels; the strip is 267 wide, the last 3 columns black.
    Canvas canvas(267, kGlyphHeight);
    FillRectColour(canvas.GetDC(), 0, 0, canvas.Width(), canvas.Height(), RGB(0, 0, 0));
    canvas.Flush();
    const char* pszOrder = "0123456789:-";
    for (int i = 0; pszOrder[i]; i++)
        DrawGlyph(canvas, i * kGlyphWidth, 0, glyphs.at(pszOrder[i]), RGB(255, 0, 0), RGB(0, 0, 255));
    std::vector<COLORREF> fixed = {RGB(0, 0, 0), RGB(255, 0, 0), RGB(0, 0, 255)};
    return WriteBmp8(canvas, outDir + "/clock_digits.bmp", fixed, false);
}

// The clock display as the Timer toolbar shows it, for the tutorial.
void DrawClockText(Canvas& canvas, int x, int y, const std::string& text, const std::map<char, Glyph>& glyphs,
                   int nScale)
{
    FillRectColour(canvas.GetDC(), x - 3 * nScale, y - 2 * nScale, x + (int)text.size() * kGlyphWidth * nScale + 3 * nScale,
                   y + kGlyphHeight * nScale + 2 * nScale, RGB(0, 0, 0));
    canvas.Flush();
    for (size_t i = 0; i < text.size(); i++)
    {
        auto found = glyphs.find(text[i]);
        if (found != glyphs.end())
            DrawGlyph(canvas, x + (int)i * kGlyphWidth * nScale, y, found->second, RGB(0, 255, 0), RGB(0, 64, 0),
                      nScale);
    }
}

// ---------------------------------------------------------------------------
// The program's pictures

// The sample puzzle of the splash, the about box and the icon (solved).
const char* const kSamplePuzzle =
    "1. 3s 3. 4. 5. 2. 3. 4. 2s 1. 4s 4. 1s 1. 2. 4. 5. 1. 2. 1s 5. 5s 2. 3. 4.";

std::vector<Cell> ParseCells(const std::vector<std::string>& words, size_t nFirst)
{
    std::vector<Cell> cells;
    for (size_t i = nFirst; i < words.size(); i++)
    {
        Cell cell;
        if (!ParseCell(words[i], cell))
        {
            fprintf(stderr, "make_window_pictures: bad cell \"%s\"\n", words[i].c_str());
            cells.clear();
            return cells;
        }
        cells.push_back(cell);
    }
    return cells;
}

bool MakeIcon(const std::string& outDir)
{
    const COLORREF crClear = RGB(255, 0, 255);
    Canvas big(32, 32), small(16, 16);
    for (Canvas* pCanvas : {&big, &small})
    {
        HDC hDC = pCanvas->GetDC();
        int n = pCanvas->Width();
        FillRectColour(hDC, 0, 0, n, n, crClear);
        // A 3 x 3 board: two shaded squares on a diagonal, the others white.
        int s = (n - 2) / 3, o = (n - 3 * s) / 2;
        FillRectColour(hDC, o - 1, o - 1, o + 3 * s + 1, o + 3 * s + 1, RGB(0, 0, 0));
        static const bool kShaded[9] = {false, true, false, false, false, true, true, false, false};
        for (int i = 0; i < 9; i++)
        {
            int x = o + (i % 3) * s, y = o + (i / 3) * s;
            FillRectColour(hDC, x + 1, y + 1, x + s, y + s, kShaded[i] ? RGB(51, 51, 51) : RGB(255, 255, 255));
            if (!kShaded[i] && n >= 32)
                FillRectColour(hDC, x + s / 2 - 1, y + s / 2 - 1, x + s / 2 + 2, y + s / 2 + 2,
                               i == 4 ? RGB(200, 0, 0) : RGB(0, 0, 0));
        }
        pCanvas->Flush();
    }
    return WriteIcon({&big, &small}, crClear, outDir + "/game_icon.ico");
}

// The banner across the top of every printed puzzle (656 x 96).
bool MakeBanner(const std::string& outDir)
{
    Canvas canvas(656, 96);
    HDC hDC = canvas.GetDC();
    FillRectColour(hDC, 0, 0, 656, 96, RGB(255, 255, 255));
    std::vector<Cell> cells = ParseCells(SplitWords(kSamplePuzzle), 0);
    DrawBoard(hDC, 8, 12, 14, 5, cells);
    HFONT hTitle = MakeFont(44, true);
    HFONT hSub = MakeFont(16, false);
    RECT rcTitle = {100, 8, 650, 62};
    DrawTextIn(hDC, "Brindlemark", hTitle, RGB(0, 0, 0), rcTitle, DT_LEFT | DT_SINGLELINE | DT_VCENTER);
    RECT rcSub = {102, 60, 650, 84};
    DrawTextIn(hDC, "A Ruzoza puzzle: no repeated numbers, no touching shaded squares, one area.", hSub, RGB(64, 64, 64), rcSub, DT_LEFT | DT_SINGLELINE | DT_END_ELLIPSIS);
    FillRectColour(hDC, 100, 88, 648, 90, RGB(0, 0, 0));
    ::DeleteObject(hTitle);
    ::DeleteObject(hSub);
    canvas.Flush();
    return WriteBmp8(canvas, outDir + "/banner.bmp", {}, false);
}

// The splash window (401 x 129): title, version and a solved board.
bool MakeSplash(const std::string& outDir)
{
    Canvas canvas(401, 129);
    HDC hDC = canvas.GetDC();
    GradientV(hDC, 0, 0, 401, 129, RGB(38, 74, 152), RGB(8, 24, 72));
    std::vector<Cell> cells = ParseCells(SplitWords(kSamplePuzzle), 0);
    FillRectColour(hDC, 14, 14, 121, 121, kBoardBack);
    DrawBoard(hDC, 17, 17, 20, 5, cells);
    HFONT hTitle = MakeFont(40, true);
    HFONT hSub = MakeFont(15, false);
    HFONT hSmall = MakeFont(12, false);
    RECT rc = {138, 12, 396, 62};
    DrawTextIn(hDC, "Brindlemark", hTitle, RGB(255, 255, 255), rc, DT_LEFT | DT_SINGLELINE | DT_VCENTER);
    RECT rcSub = {140, 62, 396, 84};
    DrawTextIn(hDC, "Ruzoza puzzles", hSub, RGB(255, 214, 110), rcSub, DT_LEFT | DT_SINGLELINE);
    RECT rcVer = {140, 96, 396, 112};
    DrawTextIn(hDC, "Version 2.11  -  Starting...", hSmall, RGB(200, 214, 240), rcVer, DT_LEFT | DT_SINGLELINE);
    FrameRectColour(hDC, 0, 0, 401, 129, RGB(0, 0, 0));
    FrameRectColour(hDC, 1, 1, 400, 128, RGB(120, 150, 210));
    ::DeleteObject(hTitle);
    ::DeleteObject(hSub);
    ::DeleteObject(hSmall);
    canvas.Flush();
    return WriteBmp24(canvas, outDir + "/splash.bmp");
}

// The about box background (401 x 129). The logo and the credits are ANDed
// onto it, so it stays light.
bool MakeAboutBackground(const std::string& outDir)
{
    Canvas canvas(401, 129);
    HDC hDC = canvas.GetDC();
    GradientH(hDC, 0, 0, 401, 129, RGB(214, 228, 250), RGB(255, 255, 255));
    // A faint grid, as on a puzzle page.
    for (int x = 0; x < 401; x += 16)
        FillRectColour(hDC, x, 0, x + 1, 129, RGB(226, 234, 248));
    for (int y = 0; y < 129; y += 16)
        FillRectColour(hDC, 0, y, 401, y + 1, RGB(226, 234, 248));
    canvas.Flush();
    return WriteBmp24(canvas, outDir + "/about_back.bmp");
}

// ----- Tutorial pages

struct Frame
{
    std::vector<std::string> words;   // the frame line's words
    std::string caption;
};

struct Page
{
    std::string title;
    std::vector<std::pair<bool, std::string>> paragraphs;   // (bullet, text)
    std::vector<Frame> frames;
};

bool ReadTutorial(const std::string& path, std::vector<Page>& pages)
{
    std::vector<std::string> lines;
    if (!ReadLines(path, lines))
        return false;
    for (const std::string& line : lines)
    {
        if (line.empty() || line[0] == '#')
            continue;
        std::vector<std::string> words = SplitWords(line);
        const std::string& key = words[0];
        if (key == "page")
        {
            pages.push_back(Page());
            continue;
        }
        if (pages.empty())
        {
            fprintf(stderr, "make_window_pictures: \"%s\" before the first page\n", line.c_str());
            return false;
        }
        Page& page = pages.back();
        if (key == "title")
            page.title = RestOf(line);
        else if (key == "text" || key == "bullet")
            page.paragraphs.push_back(std::make_pair(key == "bullet", RestOf(line)));
        else if (key == "frame")
        {
            Frame frame;
            frame.words.assign(words.begin() + 1, words.end());
            page.frames.push_back(frame);
        }
        else if (key == "caption" && !page.frames.empty())
            page.frames.back().caption = RestOf(line);
        else
        {
            fprintf(stderr, "make_window_pictures: unknown tutorial line \"%s\"\n", line.c_str());
            return false;
        }
    }
    return true;
}

// A right-pointing arrow between two pictures.
void DrawArrow(HDC hDC, int x, int y, int w)
{
    FillRectColour(hDC, x, y - 4, x + w - 12, y + 5, RGB(60, 90, 160));
    POINT pts[3] = {{x + w - 14, y - 12}, {x + w, y}, {x + w - 14, y + 12}};
    Polygon(hDC, pts, 3, RGB(60, 90, 160), RGB(60, 90, 160));
}

// A mouse seen from above, one button lit.
void DrawMouse(HDC hDC, int x, int y, bool bLeft)
{
    HBRUSH hBody = ::CreateSolidBrush(RGB(236, 236, 236));
    HPEN hPen = ::CreatePen(PS_SOLID, 2, RGB(90, 90, 90));
    HGDIOBJ hOldBrush = ::SelectObject(hDC, hBody);
    HGDIOBJ hOldPen = ::SelectObject(hDC, hPen);
    ::RoundRect(hDC, x, y, x + 56, y + 84, 40, 46);
    ::SelectObject(hDC, hOldBrush);
    ::DeleteObject(hBody);
    int nMid = x + 28;
    HBRUSH hLit = ::CreateSolidBrush(RGB(255, 170, 40));
    hOldBrush = ::SelectObject(hDC, hLit);
    // The lit button: a quarter of the body's rounded top.
    ::Pie(hDC, x, y, x + 56, y + 66, bLeft ? nMid : x, y + 30, bLeft ? x : x + 56, y + 30);
    ::SelectObject(hDC, hOldBrush);
    ::DeleteObject(hLit);
    ::MoveToEx(hDC, nMid, y + 1, NULL);
    ::LineTo(hDC, nMid, y + 32);
    ::MoveToEx(hDC, x + 1, y + 32, NULL);
    ::LineTo(hDC, x + 55, y + 32);
    ::SelectObject(hDC, hOldPen);
    ::DeleteObject(hPen);
}

// The Standard toolbar of the game in the Office 2003 look, one button lit.
void DrawToolbarPicture(HDC hDC, int x, int y, const std::vector<std::string>& words)
{
    HFONT hFont = MakeFont(12, false);
    const std::string& hot = words.empty() ? std::string() : words[0];
    int nWidth = 0;
    std::vector<int> widths;
    for (size_t i = 1; i < words.size(); i++)
    {
        int w = words[i] == "|" ? 8 : 44;
        widths.push_back(w);
        nWidth += w;
    }
    int nHeight = 52;
    GradientV(hDC, x, y, x + nWidth + 14, y + nHeight, RGB(221, 236, 254), RGB(129, 169, 226));
    FrameRectColour(hDC, x, y, x + nWidth + 14, y + nHeight, RGB(59, 97, 156));
    // The gripper's dots.
    for (int gy = y + 8; gy < y + nHeight - 8; gy += 4)
        FillRectColour(hDC, x + 4, gy, x + 6, gy + 2, RGB(39, 65, 118));
    int bx = x + 10;
    for (size_t i = 1; i < words.size(); i++)
    {
        int w = widths[i - 1];
        if (words[i] == "|")
        {
            FillRectColour(hDC, bx + 3, y + 8, bx + 4, y + nHeight - 8, RGB(106, 140, 203));
            FillRectColour(hDC, bx + 4, y + 8, bx + 5, y + nHeight - 8, RGB(255, 255, 255));
        }
        else
        {
            if (words[i] == hot)
            {
                GradientV(hDC, bx, y + 3, bx + w, y + nHeight - 3, RGB(255, 244, 204), RGB(255, 208, 145));
                FrameRectColour(hDC, bx, y + 3, bx + w, y + nHeight - 3, RGB(0, 0, 128));
            }
            // A small picture of the command above its name.
            int ix = bx + w / 2 - 8, iy = y + 9;
            const std::string& name = words[i];
            if (name == "Undo" || name == "Revert")
            {
                Line(hDC, ix + 14, iy + 12, ix + 14, iy + 6, RGB(30, 60, 150), 3);
                Line(hDC, ix + 14, iy + 6, ix + 3, iy + 6, RGB(30, 60, 150), 3);
                POINT pts[3] = {{ix, iy + 6}, {ix + 6, iy}, {ix + 6, iy + 12}};
                Polygon(hDC, pts, 3, RGB(30, 60, 150), RGB(30, 60, 150));
            }
            else if (name == "Branch")
            {
                Line(hDC, ix + 3, iy + 15, ix + 3, iy, RGB(0, 120, 0), 3);
                Line(hDC, ix + 3, iy + 8, ix + 14, iy + 2, RGB(0, 120, 0), 3);
            }
            else if (name == "Accept")
            {
                Line(hDC, ix + 1, iy + 8, ix + 6, iy + 14, RGB(0, 140, 0), 3);
                Line(hDC, ix + 6, iy + 14, ix + 15, iy + 1, RGB(0, 140, 0), 3);
            }
            else
            {
                // New, Open, Save, Print: a page.
                FillRectColour(hDC, ix + 2, iy, ix + 14, iy + 16, RGB(255, 255, 255));
                FrameRectColour(hDC, ix + 2, iy, ix + 14, iy + 16, RGB(70, 70, 70));
                if (name == "Save")
                    FillRectColour(hDC, ix + 4, iy + 2, ix + 12, iy + 7, RGB(40, 70, 160));
                else if (name == "Open")
                    FillRectColour(hDC, ix, iy + 8, ix + 16, iy + 16, RGB(230, 190, 70));
                else if (name == "Print")
                    FillRectColour(hDC, ix, iy + 9, ix + 16, iy + 14, RGB(110, 110, 110));
            }
            RECT rc = {bx, y + 29, bx + w, y + nHeight - 4};
            DrawTextIn(hDC, name, hFont, RGB(0, 0, 0), rc, DT_CENTER | DT_SINGLELINE);
        }
        bx += w;
    }
    ::DeleteObject(hFont);
}

// One tutorial frame's picture inside the rectangle (its caption below).
bool DrawFramePicture(Canvas& canvas, const RECT& rc, const Frame& frame, const std::map<char, Glyph>& glyphs)
{
    HDC hDC = canvas.GetDC();
    const std::vector<std::string>& words = frame.words;
    if (words.empty())
        return false;
    int cx = rc.right - rc.left;
    const std::string& kind = words[0];
    if (kind == "board" && words.size() >= 2)
    {
        int nSide = atoi(words[1].c_str());
        std::vector<Cell> cells = ParseCells(words, 2);
        if (nSide <= 0 || (int)cells.size() != nSide * nSide)
            return false;
        int s = std::min(48, (cx - 40) / nSide);
        int nBoard = s * nSide;
        int x = rc.left + (cx - nBoard) / 2, y = rc.top + 10;
        FillRectColour(hDC, x - 16, y - 10, x + nBoard + 17, y + nBoard + 11, kBoardBack);
        DrawBoard(hDC, x, y, s, nSide, cells);
    }
    else if (kind == "mouse" && words.size() == 4)
    {
        std::vector<std::string> cellWords(words.begin() + 2, words.end());
        std::vector<Cell> cells = ParseCells(cellWords, 0);
        if (cells.size() != 2)
            return false;
        int y = rc.top + 60, s = 64;
        int x0 = rc.left + 10, x1 = rc.right - 10 - s;
        FillRectColour(hDC, x0 - 8, y - 8, x0 + s + 9, y + s + 9, kBoardBack);
        DrawBoard(hDC, x0, y, s, 1, std::vector<Cell>(1, cells[0]));
        FillRectColour(hDC, x1 - 8, y - 8, x1 + s + 9, y + s + 9, kBoardBack);
        DrawBoard(hDC, x1, y, s, 1, std::vector<Cell>(1, cells[1]));
        int xm = (x0 + s + x1) / 2;
        DrawMouse(hDC, xm - 28, y - 40, words[1] == "left");
        DrawArrow(hDC, x0 + s + 16, y + s + 26, x1 - x0 - s - 32);
    }
    else if (kind == "buttons")
    {
        std::vector<std::string> rest(words.begin() + 1, words.end());
        DrawToolbarPicture(hDC, rc.left + 4, rc.top + 120, rest);
    }
    else if (kind == "clock" && words.size() >= 2)
    {
        bool bPaused = words.size() >= 3 && words[2] == "paused";
        if (bPaused)
        {
            // A paused board: grey, with the pause sign where the squares were.
            int s = 48, x = rc.left + (cx - 5 * s) / 2, y = rc.top + 10;
            FillRectColour(hDC, x - 16, y - 10, x + 5 * s + 17, y + 5 * s + 11, kBoardBack);
            FrameRectColour(hDC, x, y, x + 5 * s + 1, y + 5 * s + 1, RGB(0, 0, 0), 3);
            FillRectColour(hDC, x + 2 * s, y + 2 * s - 8, x + 2 * s + 22, y + 3 * s + 8, RGB(60, 60, 60));
            FillRectColour(hDC, x + 3 * s - 22, y + 2 * s - 8, x + 3 * s, y + 3 * s + 8, RGB(60, 60, 60));
        }
        else
        {
            int nWidth = (int)words[1].size() * kGlyphWidth;
            DrawClockText(canvas, rc.left + (cx - nWidth) / 2, rc.top + 110, words[1], glyphs, 1);
        }
    }
    else
        return false;

    // The caption sits at the foot of the picture, as tall as its lines: a
    // caption that wraps onto a second line grows upwards instead of being
    // cut off by the picture's bottom edge. Two rows stay clear below it.
    HFONT hFont = MakeFont(13, false, "Tahoma", true);
    RECT rcCaption = {rc.left, rc.bottom - 28, rc.right, rc.bottom - 2};
    const int nCaption = DrawTextIn(hDC, frame.caption, hFont, RGB(40, 40, 40), rcCaption,
                                    DT_CENTER | DT_WORDBREAK | DT_CALCRECT);
    if (nCaption > rcCaption.bottom - rcCaption.top)
        rcCaption.top = rcCaption.bottom - nCaption;
    DrawTextIn(hDC, frame.caption, hFont, RGB(40, 40, 40), rcCaption, DT_CENTER | DT_WORDBREAK);
    ::DeleteObject(hFont);
    return true;
}

bool MakeTutorialPage(const Page& page, int nPage, int nPages, size_t nFrame, const std::map<char, Glyph>& glyphs,
                      const std::string& outDir, int nId, bool b24Bit)
{
    Canvas canvas(659, 453);
    HDC hDC = canvas.GetDC();
    FillRectColour(hDC, 0, 0, 659, 453, RGB(255, 255, 255));
    // Heading band.
    if (b24Bit)
        GradientV(hDC, 0, 0, 659, 52, RGB(89, 135, 214), RGB(4, 57, 148));
    else
        FillRectColour(hDC, 0, 0, 659, 52, RGB(36, 82, 170));
    FillRectColour(hDC, 0, 52, 659, 55, RGB(255, 190, 70));
    HFONT hTitle = MakeFont(22, true);
    RECT rcTitle = {18, 0, 640, 52};
    DrawTextIn(hDC, page.title, hTitle, RGB(255, 255, 255), rcTitle, DT_LEFT | DT_VCENTER | DT_SINGLELINE);

    // Words down the left.
    HFONT hBody = MakeFont(15, false);
    int y = 72;
    for (const auto& paragraph : page.paragraphs)
    {
        int nIndent = paragraph.first ? 18 : 0;
        RECT rc = {24 + nIndent, y, 330, 440};
        if (paragraph.first)
            FillRectColour(hDC, 26, y + 6, 32, y + 12, RGB(36, 82, 170));
        y += DrawTextIn(hDC, paragraph.second, hBody, RGB(0, 0, 0), rc, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
        y += paragraph.first ? 4 : 10;
    }

    // The picture on the right.
    FillRectColour(hDC, 350, 70, 351, 408, RGB(200, 210, 230));
    RECT rcPicture = {362, 74, 646, 404};
    if (nFrame >= page.frames.size() || !DrawFramePicture(canvas, rcPicture, page.frames[nFrame], glyphs))
    {
        fprintf(stderr, "make_window_pictures: bad picture on tutorial page %d\n", nPage + 1);
        return false;
    }

    // Foot line.
    FillRectColour(hDC, 18, 416, 641, 417, RGB(200, 210, 230));
    HFONT hFoot = MakeFont(12, false);
    char szFoot[64];
    snprintf(szFoot, sizeof(szFoot), "Page %d of %d", nPage + 1, nPages);
    RECT rcFoot = {18, 422, 641, 446};
    DrawTextIn(hDC, szFoot, hFoot, RGB(90, 90, 90), rcFoot, DT_LEFT | DT_SINGLELINE);
    DrawTextIn(hDC, nPage + 1 < nPages ? "Press Next > to go on" : "Press Close to start playing", hFoot,
               RGB(90, 90, 90), rcFoot, DT_RIGHT | DT_SINGLELINE);
    ::DeleteObject(hTitle);
    ::DeleteObject(hBody);
    ::DeleteObject(hFoot);
    canvas.Flush();

    char szName[64];
    snprintf(szName, sizeof(szName), "/tutorial_%d.bmp", nId);
    return b24Bit ? WriteBmp24(canvas, outDir + szName) : WriteBmp8(canvas, outDir + szName, {}, true);
}

// Each page has two pictures except the last; the ids run 2058 + 2 x page +
// picture. The pictures of page 5 (2068, 2069) are 24-bit, the others 8-bit.
bool MakeTutorial(const std::vector<Page>& pages, const std::map<char, Glyph>& glyphs, const std::string& outDir,
                  std::string& rcLines)
{
    if (pages.size() != 8)
    {
        fprintf(stderr, "make_window_pictures: the tutorial needs 8 pages, not %d\n", (int)pages.size());
        return false;
    }
    for (int p = 0; p < 8; p++)
    {
        size_t nFrames = p == 7 ? 1 : 2;
        if (pages[(size_t)p].frames.size() != nFrames)
        {
            fprintf(stderr, "make_window_pictures: tutorial page %d needs %d pictures\n", p + 1, (int)nFrames);
            return false;
        }
        for (size_t f = 0; f < nFrames; f++)
        {
            int nId = 2058 + 2 * p + (int)f;
            if (!MakeTutorialPage(pages[(size_t)p], p, 8, f, glyphs, outDir, nId, p == 5))
                return false;
            char szLine[96];
            snprintf(szLine, sizeof(szLine), "%d BITMAP \"tutorial_%d.bmp\"\n", nId, nId);
            rcLines += szLine;
        }
    }
    return true;
}

std::string ToWindowsPath(const std::string& path)
{
    // Unix paths reach the program as they are; Wine maps them under Z:.
    std::string result = path;
    if (!result.empty() && result[0] == '/')
        result = "Z:" + result;
    for (char& ch : result)
        if (ch == '/')
            ch = '\\';
    return result;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc < 3)
    {
        fprintf(stderr, "usage: make_window_pictures <source folder> <output folder> [font file...]\n");
        return 2;
    }
    std::string srcDir = argv[1], outDir = argv[2];
    for (int i = 3; i < argc; i++)
    {
        std::string font = ToWindowsPath(argv[i]);
        if (::AddFontResourceExA(font.c_str(), FR_PRIVATE, NULL) == 0)
            fprintf(stderr, "make_window_pictures: font %s not added; another face stands in\n", argv[i]);
    }

    std::map<char, Glyph> glyphs;
    std::vector<Page> pages;
    if (!ReadGlyphs(srcDir + "/clock_digits.txt", glyphs) || !ReadTutorial(srcDir + "/game_tutorial.txt", pages))
        return 1;

    std::string rcLines = "// Generated by make_window_pictures; do not edit.\n"
                          "IDR_MAINFRAME ICON \"game_icon.ico\"\n"
                          "IDB_PRINT_BANNER BITMAP \"banner.bmp\"\n"
                          "IDB_ABOUT_BACKGROUND BITMAP \"about_back.bmp\"\n"
                          "IDB_SPLASH BITMAP \"splash.bmp\"\n"
                          "IDB_CLOCK_DIGITS BITMAP \"clock_digits.bmp\"\n";
    bool bOk = MakeIcon(outDir) && MakeBanner(outDir) && MakeSplash(outDir) && MakeAboutBackground(outDir) &&
               MakeClockDigits(glyphs, outDir) && MakeTutorial(pages, glyphs, outDir, rcLines);
    if (!bOk)
        return 1;
    std::vector<unsigned char> rc(rcLines.begin(), rcLines.end());
    return WriteFile(outDir + "/game_window_pictures.rc", rc) ? 0 : 1;
}
