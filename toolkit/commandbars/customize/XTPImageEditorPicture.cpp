// The pixel canvas of the button image editor.
#include "XTPImageEditorPicture.h"

#include "XTPColorManager.h"
#include "XTPImageEditorDlg.h"
#include "XTPMetafileRenderer.h"
#include "XTPImageManager.h"
#include "XTPResourceManager.h"
#include "../../resources/customize_editor_res.h"

#include <afxclip.h>
#include <afxdlgs.h>
#include <olectl.h>
#include <tchar.h>

#include <algorithm>
#include <vector>

namespace
{
// At most this many steps can be undone.
const int kMaxUndo = 16;
// Larger bitmaps (from the clipboard or a file) are not read.
const int kMaxBitmapSide = 8192;
// Picture files of more pixels are refused before any bitmap is made of
// them: a button image is cut from their top-left corner, and a bitmap of
// the whole picture costs four bytes a pixel twice over while it is read.
const DWORD kMaxImportPixels = 2048 * 2048;

const DWORD kTransparentPixel = 0x00FFFEFF;   // RGB(255, 254, 255) as a DIB pixel

inline DWORD ColorToPixel(COLORREF clr, BYTE bAlpha)
{
    return ((DWORD)bAlpha << 24) | ((DWORD)GetRValue(clr) << 16) | ((DWORD)GetGValue(clr) << 8) | GetBValue(clr);
}

inline COLORREF PixelToColor(DWORD dwPixel)
{
    return RGB((dwPixel >> 16) & 0xFF, (dwPixel >> 8) & 0xFF, dwPixel & 0xFF);
}

// The format of the editor's images: 32 bits a pixel, top row first.
BITMAPINFO TopDownInfo(int cx, int cy)
{
    BITMAPINFO bmi;
    ZeroMemory(&bmi, sizeof(bmi));
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = cx;
    bmi.bmiHeader.biHeight = -cy;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    return bmi;
}

// A top-down 32-bit DIB section; pBits receives its pixels.
HBITMAP CreateTopDownDib(int cx, int cy, DWORD** ppBits)
{
    BITMAPINFO bmi = TopDownInfo(cx, cy);
    void* pBits = NULL;
    HBITMAP hBitmap = ::CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
    if (hBitmap != NULL && pBits == NULL)
    {
        ::DeleteObject(hBitmap);
        hBitmap = NULL;
    }
    *ppBits = (DWORD*)pBits;
    return hBitmap;
}

inline WORD ReadWord(const BYTE* p)
{
    return (WORD)(p[0] | (p[1] << 8));
}

inline DWORD ReadDword(const BYTE* p)
{
    return (DWORD)p[0] | ((DWORD)p[1] << 8) | ((DWORD)p[2] << 16) | ((DWORD)p[3] << 24);
}
} // namespace

// ---------------------------------------------------------------------------
// CAlphaBitmap

BOOL CXTPImageEditorPicture::CAlphaBitmap::CreateImage(CSize sz, COLORREF clrFill)
{
    DeleteObject();
    m_pBits = NULL;
    m_sz = CSize(0, 0);
    if (sz.cx <= 0 || sz.cy <= 0 || sz.cx > kMaxBitmapSide || sz.cy > kMaxBitmapSide)
        return FALSE;
    DWORD* pBits = NULL;
    HBITMAP hBitmap = CreateTopDownDib(sz.cx, sz.cy, &pBits);
    if (hBitmap == NULL)
        return FALSE;
    Attach(hBitmap);
    m_pBits = pBits;
    m_sz = sz;
    const DWORD dwFill = ColorToPixel(clrFill, 0);
    for (int i = 0; i < sz.cx * sz.cy; i++)
        m_pBits[i] = dwFill;
    return TRUE;
}

CXTPImageEditorPicture::CAlphaBitmap* AFX_CDECL CXTPImageEditorPicture::CAlphaBitmap::FromBitmap(HBITMAP hBitmap,
                                                                                                  BOOL bAlpha)
{
    BITMAP bm;
    if (hBitmap == NULL || ::GetObject(hBitmap, sizeof(bm), &bm) == 0)
        return NULL;
    CAlphaBitmap* pImage = new CAlphaBitmap(bAlpha);
    if (!pImage->CreateImage(CSize(bm.bmWidth, bm.bmHeight)))
    {
        delete pImage;
        return NULL;
    }
    BITMAPINFO bmi = TopDownInfo(bm.bmWidth, bm.bmHeight);
    HDC hDC = ::GetDC(NULL);
    int nLines = ::GetDIBits(hDC, hBitmap, 0, (UINT)bm.bmHeight, pImage->m_pBits, &bmi, DIB_RGB_COLORS);
    ::ReleaseDC(NULL, hDC);
    if (nLines != bm.bmHeight)
    {
        delete pImage;
        return NULL;
    }
    const int nPixels = bm.bmWidth * bm.bmHeight;
    for (int i = 0; i < nPixels; i++)
    {
        DWORD& p = pImage->m_pBits[i];
        if (!bAlpha)
            p &= 0x00FFFFFF;
        else if ((p >> 24) == 0)
            p = kTransparentPixel;
    }
    return pImage;
}

DWORD CXTPImageEditorPicture::CAlphaBitmap::GetPixel(int x, int y) const
{
    if (m_pBits == NULL || x < 0 || y < 0 || x >= m_sz.cx || y >= m_sz.cy)
        return 0;
    return m_pBits[y * m_sz.cx + x];
}

void CXTPImageEditorPicture::CAlphaBitmap::SetPixel(int x, int y, DWORD dwPixel)
{
    if (m_pBits == NULL || x < 0 || y < 0 || x >= m_sz.cx || y >= m_sz.cy)
        return;
    m_pBits[y * m_sz.cx + x] = dwPixel;
}

COLORREF CXTPImageEditorPicture::CAlphaBitmap::GetColor(int x, int y) const
{
    return PixelToColor(GetPixel(x, y));
}

// ---------------------------------------------------------------------------
// CXTPImageEditorPicture

BEGIN_MESSAGE_MAP(CXTPImageEditorPicture, CStatic)
    ON_WM_PAINT()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
    ON_WM_ERASEBKGND()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_CAPTURECHANGED()
    ON_WM_SETCURSOR()
END_MESSAGE_MAP()

CXTPImageEditorPicture::CXTPImageEditorPicture()
    : m_nWidth(0), m_nHeight(0), m_nCellWidth(1), m_nCellHeight(1), m_szPicture(16, 16), m_pParentDlg(NULL),
      m_pPicturePrev(NULL), m_pCurrentPicture(NULL), m_lstUndo(10), m_lstRedo(10), m_ptTracked(0, 0),
      m_bTracking(FALSE), m_bImporting(FALSE), m_nImportFailure(importNoFailure), m_clrDraw(0)
{
    m_hCursorLine = XTPResourceManager()->LoadCursor(XTP_IDC_IMAGEEDITOR_SHAPE);
    m_hCursorPickColor = XTPResourceManager()->LoadCursor(XTP_IDC_IMAGEEDITOR_PICKCOLOR);
    m_hCursorFillColor = XTPResourceManager()->LoadCursor(XTP_IDC_IMAGEEDITOR_FILL);
    m_hCursorPencil = XTPResourceManager()->LoadCursor(XTP_IDC_IMAGEEDITOR_PENCIL);
}

CXTPImageEditorPicture::~CXTPImageEditorPicture()
{
    // The canvas owns every image it holds, each exactly once.
    delete m_pCurrentPicture;
    delete m_pPicturePrev;
    ClearList(m_lstUndo);
    ClearList(m_lstRedo);
}

void CXTPImageEditorPicture::ClearList(CList<CAlphaBitmap*, CAlphaBitmap*>& list)
{
    while (!list.IsEmpty())
        delete list.RemoveHead();
}

BOOL CXTPImageEditorPicture::Init(UINT nID, CXTPImageEditorDlg* pParentDlg)
{
    if (pParentDlg == NULL)
        return FALSE;
    CSize szPicture = pParentDlg->GetPictureSize();
    if (szPicture.cx <= 0 || szPicture.cy <= 0)
        return FALSE;
    if (!SubclassDlgItem(nID, pParentDlg))
        return FALSE;
    // A static without SS_NOTIFY answers hit tests with HTTRANSPARENT, so the
    // mouse would reach the dialog behind it and no tool could draw.
    ModifyStyle(0, SS_NOTIFY);
    m_pParentDlg = pParentDlg;
    m_szPicture = szPicture;
    m_nWidth = szPicture.cx;
    m_nHeight = szPicture.cy;

    CRect rc;
    GetWindowRect(&rc);
    pParentDlg->ScreenToClient(&rc);
    // An image larger than the canvas still gets cells of one pixel.
    m_nCellWidth = std::max(1, rc.Width() / m_nWidth);
    m_nCellHeight = std::max(1, rc.Height() / m_nHeight);
    SetWindowPos(NULL, 0, 0, m_nCellWidth * m_nWidth + 1, m_nCellHeight * m_nHeight + 1,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    if (m_dcPicture.GetSafeHdc() == NULL)
        m_dcPicture.CreateCompatibleDC(NULL);
    return TRUE;
}

void CXTPImageEditorPicture::SetPicture(CAlphaBitmap* pPicture)
{
    if (m_bTracking)
    {
        m_bTracking = FALSE;
        if (GetCapture() == this)
            ReleaseCapture();
    }
    if (pPicture != m_pCurrentPicture)
        delete m_pCurrentPicture;
    m_pCurrentPicture = pPicture;
    delete m_pPicturePrev;
    m_pPicturePrev = NULL;
    ClearList(m_lstUndo);
    ClearList(m_lstRedo);
    if (pPicture != NULL)
    {
        m_szPicture = pPicture->GetSize();
        m_nWidth = m_szPicture.cx;
        m_nHeight = m_szPicture.cy;
    }
    RedrawAll();
}

CXTPImageEditorPicture::CAlphaBitmap* CXTPImageEditorPicture::CopyPicture(const CAlphaBitmap* pSource,
                                                                          CPoint ptOffset, COLORREF clrFrom,
                                                                          COLORREF clrTo) const
{
    CAlphaBitmap* pCopy = new CAlphaBitmap(pSource != NULL ? pSource->m_bAlpha : FALSE);
    if (!pCopy->CreateImage(m_szPicture))
    {
        delete pCopy;
        return NULL;
    }
    if (pSource == NULL)
        return pCopy;

    const BOOL bReplace = !pSource->m_bAlpha && clrFrom != COLORREF_NULL && clrTo != COLORREF_NULL;
    const DWORD dwFrom = ColorToPixel(clrFrom, 0) & 0xFFFFFF;
    const DWORD dwTo = ColorToPixel(clrTo, 0);
    const CSize szSource = pSource->GetSize();
    for (int y = 0; y < m_szPicture.cy; y++)
    {
        int ySource = y - ptOffset.y;
        if (ySource < 0 || ySource >= szSource.cy)
            continue;
        for (int x = 0; x < m_szPicture.cx; x++)
        {
            int xSource = x - ptOffset.x;
            if (xSource < 0 || xSource >= szSource.cx)
                continue;
            DWORD p = pSource->GetPixel(xSource, ySource);
            if (bReplace && (p & 0xFFFFFF) == dwFrom)
                p = dwTo;
            pCopy->SetPixel(x, y, p);
        }
    }
    return pCopy;
}

// ---------------------------------------------------------------------------
// Steps and history

void CXTPImageEditorPicture::BeginStep()
{
    // A step that was never committed gives its "before" image up.
    delete m_pPicturePrev;
    m_pPicturePrev = m_pCurrentPicture;
    m_pCurrentPicture = NULL;
}

void CXTPImageEditorPicture::Commit()
{
    ClearList(m_lstRedo);
    while (m_lstUndo.GetCount() >= kMaxUndo)
        delete m_lstUndo.RemoveHead();
    // The undo list owns the "before" image from now on (it may be null:
    // the step started from no image).
    m_lstUndo.AddTail(m_pPicturePrev);
    m_pPicturePrev = NULL;
    RedrawAll();
}

void CXTPImageEditorPicture::ReplaceCurrent(CAlphaBitmap* pPicture)
{
    if (pPicture == NULL)
        return;
    if (m_pCurrentPicture != pPicture)
        delete m_pCurrentPicture;
    m_pCurrentPicture = pPicture;
}

void CXTPImageEditorPicture::StepBack(CList<CAlphaBitmap*, CAlphaBitmap*>& lstFrom,
                                      CList<CAlphaBitmap*, CAlphaBitmap*>& lstTo)
{
    if (m_bTracking || lstFrom.IsEmpty())
        return;
    lstTo.AddTail(m_pCurrentPicture);
    m_pCurrentPicture = lstFrom.RemoveTail();
    RedrawAll();
}

void CXTPImageEditorPicture::OnUndo()
{
    StepBack(m_lstUndo, m_lstRedo);
}

void CXTPImageEditorPicture::OnRedo()
{
    StepBack(m_lstRedo, m_lstUndo);
}

void CXTPImageEditorPicture::OnClear()
{
    if (m_bTracking)
        return;
    BeginStep();
    Commit();
}

void CXTPImageEditorPicture::MovePicture(int dx, int dy)
{
    if (m_bTracking)
        return;
    CAlphaBitmap* pMoved = CopyPicture(m_pCurrentPicture, CPoint(dx, dy));
    if (pMoved == NULL)
        return;
    BeginStep();
    m_pCurrentPicture = pMoved;
    Commit();
}

void CXTPImageEditorPicture::RedrawAll()
{
    if (m_hWnd != NULL)
        Invalidate(FALSE);
    if (m_pParentDlg != NULL)
        m_pParentDlg->RedrawPreview();
}

// ---------------------------------------------------------------------------
// Clipboard

void CXTPImageEditorPicture::OnCopy()
{
    // Transparent pixels travel as the button face, which paste turns back.
    CAlphaBitmap* pCopy = CopyPicture(m_pCurrentPicture, CPoint(0, 0), XTP_IMAGEEDITOR_TRANSPARENT,
                                      GetXTPSysColor(COLOR_3DFACE));
    if (pCopy == NULL)
        return;
    if (!::OpenClipboard(m_hWnd))
    {
        delete pCopy;
        return;
    }
    if (!::EmptyClipboard())
    {
        ::CloseClipboard();
        delete pCopy;
        return;
    }
    const BOOL bAlpha = pCopy->m_bAlpha;
    if (::SetClipboardData(CF_BITMAP, (HBITMAP)pCopy->GetSafeHandle()) != NULL)
        pCopy->Detach();   // the bitmap belongs to the clipboard now
    delete pCopy;

    if (bAlpha)
    {
        HGLOBAL hMarker = ::GlobalAlloc(GMEM_MOVEABLE, 1);
        if (hMarker != NULL && ::SetClipboardData(CXTPImageManager::GetAlphaBitmapClipFormat(), hMarker) == NULL)
            ::GlobalFree(hMarker);
    }
    ::CloseClipboard();
}

void CXTPImageEditorPicture::OnPaste()
{
    COleDataObject data;
    data.AttachClipboard();
    if (!data.IsDataAvailable(CF_BITMAP))
        return;   // nothing to paste: the image stays as it is

    BOOL bAlpha = data.IsDataAvailable((CLIPFORMAT)CXTPImageManager::GetAlphaBitmapClipFormat());
    if (!bAlpha)
    {
        data.BeginEnumFormats();
        FORMATETC fmt;
        while (!bAlpha && data.GetNextFormat(&fmt))
        {
            TCHAR szName[256] = {0};
            if (::GetClipboardFormatName(fmt.cfFormat, szName, 255) > 1 && _tcsstr(szName + 1, _T("DIB32")) != NULL)
                bAlpha = TRUE;
        }
    }

    STGMEDIUM medium;
    ZeroMemory(&medium, sizeof(medium));
    if (!data.GetData(CF_BITMAP, &medium))
        return;
    if (medium.tymed == TYMED_GDI && medium.hBitmap != NULL)
        PasteBitmap(medium.hBitmap, bAlpha);
    ::ReleaseStgMedium(&medium);
}

BOOL CXTPImageEditorPicture::PasteBitmap(HBITMAP hBitmap, BOOL bAlpha)
{
    if (m_bTracking)
        return FALSE;
    CAlphaBitmap* pSource = CAlphaBitmap::FromBitmap(hBitmap, bAlpha);
    if (pSource == NULL)
        return FALSE;
    // Without alpha, the button face that stood for transparent pixels
    // becomes transparent again.
    CAlphaBitmap* pPasted = CopyPicture(pSource, CPoint(0, 0), GetXTPSysColor(COLOR_3DFACE), XTP_IMAGEEDITOR_TRANSPARENT);
    delete pSource;
    if (pPasted == NULL)
        return FALSE;
    BeginStep();
    m_pCurrentPicture = pPasted;
    Commit();
    return TRUE;
}

// ---------------------------------------------------------------------------
// Import

namespace
{
// Files for the system's picture loader are read whole and checked first;
// larger ones are refused. BMP and PNG files may be larger, as the image
// manager reads them.
const DWORD kMaxPictureFile = 16 * 1024 * 1024;
const DWORD kMaxBitmapFile = 64 * 1024 * 1024;

// Reads a whole file of at most nMax bytes by its wide-character name.
enum FileRead
{
    fileRead,
    fileNotOpened,   // the system would not open it
    fileNotRead      // empty, too large, or cut short while read
};
FileRead ReadWholeFile(const std::wstring& strFileName, DWORD nMax, std::vector<BYTE>& data)
{
    data.clear();
    HANDLE hFile = ::CreateFileW(strFileName.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
    {
        TRACE("picture file not opened (%lu)\n", (unsigned long)::GetLastError());
        return fileNotOpened;
    }
    FileRead nResult = fileNotRead;
    LARGE_INTEGER size;
    if (::GetFileSizeEx(hFile, &size) && size.QuadPart > 0 && size.QuadPart <= (LONGLONG)nMax)
    {
        data.resize((size_t)size.QuadPart);
        DWORD nRead = 0;
        if (::ReadFile(hFile, data.data(), (DWORD)data.size(), &nRead, NULL) && nRead == data.size())
            nResult = fileRead;
        else
            data.clear();
    }
    ::CloseHandle(hFile);
    return nResult;
}

// What the first bytes of a file say it holds, whatever its extension.
enum PictureKind
{
    pictureUnknown,
    pictureIcon,      // icon or cursor layout
    pictureBitmap,    // BMP or PNG, for the image manager's checked loader
    pictureGifJpeg,   // decoders that check their own data
    pictureMetafile   // enhanced, placeable or plain metafile
};

PictureKind SniffPicture(const BYTE* p, size_t n)
{
    if (n >= 4 && ReadWord(p) == 0 && (ReadWord(p + 2) == 1 || ReadWord(p + 2) == 2))
        return pictureIcon;
    if (n >= 2 && p[0] == 'B' && p[1] == 'M')
        return pictureBitmap;
    if (n >= 8 && p[0] == 137 && p[1] == 'P' && p[2] == 'N' && p[3] == 'G')
        return pictureBitmap;
    if (n >= 6 && memcmp(p, "GIF8", 4) == 0)
        return pictureGifJpeg;
    if (n >= 3 && p[0] == 0xFF && p[1] == 0xD8 && p[2] == 0xFF)
        return pictureGifJpeg;
    if (n >= 4 && (ReadDword(p) == 1 || ReadDword(p) == 0x9AC6CDD7))
        return pictureMetafile;
    if (n >= 18 && (ReadWord(p) == 1 || ReadWord(p) == 2) && ReadWord(p + 2) == 9)
        return pictureMetafile;
    return pictureUnknown;
}

// Runs draw(HDC) onto a blank image of the size and clears the alpha bytes
// GDI leaves as it likes (the image has none); null when there is no blank
// image or draw returns FALSE.
template <class Draw>
CXTPImageEditorPicture::CAlphaBitmap* DrawOntoBlank(const CXTPImageEditorPicture* pCanvas, CSize sz, Draw draw)
{
    CXTPImageEditorPicture::CAlphaBitmap* pBlank = pCanvas->CopyPicture(NULL);
    if (pBlank == NULL)
        return NULL;
    CDC dc;
    dc.CreateCompatibleDC(NULL);
    CBitmap* pOld = dc.SelectObject(pBlank);
    const BOOL bDrawn = draw(dc.GetSafeHdc());
    dc.SelectObject(pOld);
    ::GdiFlush();
    if (!bDrawn)
    {
        delete pBlank;
        return NULL;
    }
    for (int i = 0; i < sz.cx * sz.cy; i++)
        pBlank->GetBits()[i] &= 0x00FFFFFF;
    return pBlank;
}

// Draws an icon onto a blank image of the size; null when it cannot.
CXTPImageEditorPicture::CAlphaBitmap* IconToImage(const CXTPImageEditorPicture* pCanvas, HICON hIcon, CSize sz)
{
    return DrawOntoBlank(pCanvas, sz, [&](HDC hDC) {
        ::DrawIconEx(hDC, 0, 0, hIcon, sz.cx, sz.cy, 0, NULL, DI_NORMAL);
        return TRUE;
    });
}

// Draws a metafile onto a blank image of the size in the metafile
// renderer's process, after the checks of the whole file; null when it is
// refused, with the renderer's failure, if it was to blame, in nFailure.
// Whatever the file makes the system's record player do ends in that
// process, within the renderer's time limit.
CXTPImageEditorPicture::CAlphaBitmap* RenderMetafile(const CXTPImageEditorPicture* pCanvas,
                                                    const std::vector<BYTE>& data, CSize sz,
                                                    XTPMetafileRenderFailure& nFailure)
{
    CXTPImageEditorPicture::CAlphaBitmap* pBlank = pCanvas->CopyPicture(NULL);
    if (pBlank == NULL)
        return NULL;
    ::GdiFlush();
    CString strProblem;
    if (!XTPRenderMetafileApart(data.data(), data.size(), sz, pBlank->GetBits(), strProblem,
                                XTP_METAFILE_RENDER_TIMEOUT, &nFailure))
    {
        TRACE(_T("metafile refused: %s\n"), (LPCTSTR)strProblem);
        delete pBlank;
        return NULL;
    }
    // The image has no alpha: the bytes GDI left are cleared.
    for (int i = 0; i < sz.cx * sz.cy; i++)
        pBlank->GetBits()[i] &= 0x00FFFFFF;
    return pBlank;
}

// Renders checked picture bytes through the system's picture loader onto a
// blank image of the size; null when the loader refuses them (it may lack
// a decoder).
CXTPImageEditorPicture::CAlphaBitmap* RenderOlePicture(const CXTPImageEditorPicture* pCanvas,
                                                      const std::vector<BYTE>& data, CSize sz)
{
    CXTPImageEditorPicture::CAlphaBitmap* pResult = NULL;
    HGLOBAL hData = ::GlobalAlloc(GMEM_MOVEABLE, data.size());
    void* pData = hData != NULL ? ::GlobalLock(hData) : NULL;
    if (pData == NULL)
    {
        if (hData != NULL)
            ::GlobalFree(hData);
        return NULL;
    }
    memcpy(pData, data.data(), data.size());
    ::GlobalUnlock(hData);

    HRESULT hrInit = ::CoInitialize(NULL);
    IStream* pStream = NULL;
    // The stream frees the block when it is released.
    if (FAILED(::CreateStreamOnHGlobal(hData, TRUE, &pStream)) || pStream == NULL)
    {
        ::GlobalFree(hData);
    }
    else
    {
        // The loader gets exactly the bytes that were checked.
        IPicture* pPicture = NULL;
        HRESULT hr = ::OleLoadPicture(pStream, (LONG)data.size(), FALSE, IID_IPicture, (void**)&pPicture);
        if (SUCCEEDED(hr) && pPicture != NULL)
        {
            OLE_XSIZE_HIMETRIC hmWidth = 0;
            OLE_YSIZE_HIMETRIC hmHeight = 0;
            pPicture->get_Width(&hmWidth);
            pPicture->get_Height(&hmHeight);
            if (hmWidth > 0 && hmHeight > 0)
            {
                pResult = DrawOntoBlank(pCanvas, sz, [&](HDC hDC) {
                    return SUCCEEDED(
                               pPicture->Render(hDC, 0, 0, sz.cx, sz.cy, 0, hmHeight, hmWidth, -hmHeight, NULL))
                               ? TRUE
                               : FALSE;
                });
            }
            pPicture->Release();
        }
        else
        {
            TRACE("the picture loader refused the file (0x%08lX)\n", (unsigned long)hr);
        }
        pStream->Release();
    }
    if (SUCCEEDED(hrInit))
        ::CoUninitialize();
    return pResult;
}
} // namespace

CXTPImageEditorPicture::CAlphaBitmap* CXTPImageEditorPicture::ReadIconData(const std::vector<BYTE>& data) const
{
    // A 32-bit image keeps its alpha; any other goes through the system's
    // loader, which is given only the checked bytes of a file the image
    // manager checked whole.
    HBITMAP hAlpha = CXTPImageManager::LoadAlphaIconFromBytes(data.data(), (DWORD)data.size(), m_szPicture.cx);
    if (hAlpha != NULL)
    {
        CAlphaBitmap* pIcon = CAlphaBitmap::FromBitmap(hAlpha, TRUE);
        ::DeleteObject(hAlpha);
        CAlphaBitmap* pImported = pIcon != NULL ? CopyPicture(pIcon) : NULL;
        delete pIcon;
        return pImported;
    }
    HICON hIcon = CXTPImageManager::LoadIconFromBytes(data.data(), (DWORD)data.size(), m_szPicture);
    if (hIcon == NULL)
        return NULL;
    CAlphaBitmap* pImported = IconToImage(this, hIcon, m_szPicture);
    ::DestroyIcon(hIcon);
    return pImported;
}

CXTPImageEditorPicture::CAlphaBitmap* CXTPImageEditorPicture::ReadBitmapData(const std::vector<BYTE>& data) const
{
    BOOL bAlpha = FALSE;
    return ImportBitmap(
        CXTPImageManager::LoadBitmapFromBytes(data.data(), (DWORD)data.size(), &bAlpha, kMaxImportPixels), bAlpha);
}

CXTPImageEditorPicture::CAlphaBitmap* CXTPImageEditorPicture::ImportBitmap(HBITMAP hBitmap, BOOL bAlpha) const
{
    if (hBitmap == NULL)
        return NULL;
    CAlphaBitmap* pSource = CAlphaBitmap::FromBitmap(hBitmap, bAlpha);
    ::DeleteObject(hBitmap);
    CAlphaBitmap* pImported = pSource != NULL ? CopyPicture(pSource) : NULL;
    delete pSource;
    return pImported;
}

namespace
{
// Text of the system's code page in wide characters.
std::wstring Widen(LPCSTR lpsz)
{
    const int nLength = ::MultiByteToWideChar(CP_ACP, 0, lpsz, -1, NULL, 0);
    if (nLength <= 0)
        return std::wstring();
    std::vector<wchar_t> text((size_t)nLength, L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, lpsz, -1, text.data(), nLength);
    return std::wstring(text.data());
}
} // namespace

BOOL CXTPImageEditorPicture::ImportFile(LPCSTR lpszFileName)
{
    if (lpszFileName == NULL)
        return FALSE;
    return ImportFile(Widen(lpszFileName).c_str());
}

BOOL CXTPImageEditorPicture::ImportFile(LPCWSTR lpszFileName)
{
    if (m_bTracking || m_bImporting || lpszFileName == NULL)
        return FALSE;
    m_nImportFailure = importNoFailure;
    m_strRenderer.clear();
    CAlphaBitmap* pImported = NULL;
    {
        // Cleared however the reading ends.
        struct CImporting
        {
            explicit CImporting(BOOL& bFlag) : m_bFlag(bFlag) { m_bFlag = TRUE; }
            ~CImporting() { m_bFlag = FALSE; }
            BOOL& m_bFlag;
        } importing(m_bImporting);
        pImported = ReadPictureFile(lpszFileName);
    }
    if (pImported == NULL)
    {
        if (m_nImportFailure == importNoFailure)
            m_nImportFailure = importBadPicture;
        TRACE("no picture imported (%d)\n", (int)m_nImportFailure);
        return FALSE;
    }
    BeginStep();
    m_pCurrentPicture = pImported;
    Commit();
    return TRUE;
}

CXTPImageEditorPicture::CAlphaBitmap* CXTPImageEditorPicture::ReadPictureFile(const std::wstring& strFileName) const
{
    std::wstring strExt;
    const size_t nDot = strFileName.find_last_of(L'.');
    const size_t nSlash = strFileName.find_last_of(L"\\/");
    if (nDot != std::wstring::npos && (nSlash == std::wstring::npos || nDot > nSlash))
        strExt = strFileName.substr(nDot + 1);
    for (wchar_t& ch : strExt)
        ch = (ch >= L'A' && ch <= L'Z') ? (wchar_t)(ch - L'A' + L'a') : ch;
    const bool bBitmap = strExt == L"bmp" || strExt == L"png";

    // The file is read once, whole, by the name as the system has it; the
    // checked readers then take its bytes.
    std::vector<BYTE> data;
    const FileRead nRead = ReadWholeFile(strFileName, bBitmap ? kMaxBitmapFile : kMaxPictureFile, data);
    if (nRead != fileRead)
    {
        m_nImportFailure = nRead == fileNotOpened ? importNotOpened : importBadPicture;
        return NULL;
    }
    if (strExt == L"ico" || strExt == L"cur")
        return ReadIconData(data);   // cursor files have the icon file's layout
    if (bBitmap)
        return ReadBitmapData(data);

    // The system's picture loader goes by the bytes, not the name: what the
    // file holds decides which checked reader takes it. The loader gets
    // only GIF and JPEG; metafiles are checked whole here and drawn in the
    // metafile renderer's process.
    switch (SniffPicture(data.data(), data.size()))
    {
    case pictureIcon:
        return ReadIconData(data);
    case pictureBitmap:
        return ReadBitmapData(data);
    case pictureGifJpeg:
        return RenderOlePicture(this, data, m_szPicture);
    case pictureMetafile:
    {
        XTPMetafileRenderFailure nFailure = xtpRenderNoFailure;
        CAlphaBitmap* pImported = RenderMetafile(this, data, m_szPicture, nFailure);
        if (pImported == NULL && nFailure != xtpRenderNoFailure && nFailure != xtpRenderPictureRefused)
        {
            m_nImportFailure = nFailure == xtpRenderNoRenderer     ? importNoRenderer
                               : nFailure == xtpRenderRendererSilent ? importRendererSilent
                                                                     : importRendererEnded;
            const std::wstring strRenderer = XTPMetafileRendererPath();
            m_strRenderer = strRenderer.empty() ? std::wstring(XTP_METAFILE_RENDERER_EXE_W) : strRenderer;
        }
        return pImported;
    }
    default:
        return NULL;
    }
}

namespace
{
// The file the player picks in the Import's Open dialog, by its name as the
// system has it (wide characters); empty when the dialog was cancelled.
std::wstring ChoosePictureFile(CWnd* pParent)
{
    CString strFilter;
    XTPResourceManager()->LoadString(&strFilter, XTP_IDS_IMAGEEDITOR_FILTER);
    // "Name|patterns|...||": each '|' ends a part.
    std::wstring strFilterW = Widen(strFilter);
    for (wchar_t& ch : strFilterW)
        ch = ch == L'|' ? L'\0' : ch;
    std::vector<wchar_t> file(32768, L'\0');
    OPENFILENAMEW ofn;
    ZeroMemory(&ofn, sizeof(ofn));
    ofn.lStructSize = sizeof(ofn);
    HWND hWndTop = NULL;
    ofn.hwndOwner = CWnd::GetSafeOwner_(pParent->GetSafeHwnd(), &hWndTop);
    ofn.lpstrFilter = strFilterW.c_str();
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = (DWORD)file.size();
    ofn.Flags = OFN_HIDEREADONLY | OFN_EXPLORER;
    const BOOL bChosen = ::GetOpenFileNameW(&ofn);
    if (hWndTop != NULL && ::IsWindow(hWndTop))
        ::EnableWindow(hWndTop, TRUE);
    if (!bChosen)
    {
        const DWORD dwError = ::CommDlgExtendedError();
        if (dwError != 0)
            TRACE("the Open dialog failed (0x%lX)\n", (unsigned long)dwError);
        return std::wstring();
    }
    return std::wstring(file.data());
}

// Removes the keyboard and mouse messages for hWnd and its descendants that
// came up to dwTo (message time), oldest first; it stops at the first that
// came later.
void DiscardInputUntil(HWND hWnd, DWORD dwTo)
{
    static const UINT kRanges[][2] = {
        {WM_KEYFIRST, WM_KEYLAST}, {WM_MOUSEFIRST, WM_MOUSELAST}, {WM_NCMOUSEMOVE, WM_NCXBUTTONDBLCLK}};
    for (const UINT* pRange : kRanges)
    {
        MSG msg;
        while (::PeekMessage(&msg, hWnd, pRange[0], pRange[1], PM_NOREMOVE | PM_NOYIELD) &&
               (LONG)(dwTo - msg.time) >= 0)
        {
            ::PeekMessage(&msg, hWnd, pRange[0], pRange[1], PM_REMOVE | PM_NOYIELD);
        }
    }
}
} // namespace

void CXTPImageEditorPicture::OnImport()
{
    if (m_bImporting)
        return;   // a command that came while an import waits for its picture
    const std::wstring strFileName = ChoosePictureFile(m_pParentDlg);
    if (strFileName.empty())
        return;
    const BOOL bImported = ImportFile(strFileName.c_str());
    // Keys pressed and clicks made on the editor while the picture was
    // awaited (and pointer moves still waiting from before) were meant for
    // what was there before: none of them may close the editor, or the
    // message below, unseen.
    HWND hEditor = m_pParentDlg->GetSafeHwnd();
    if (hEditor != NULL)
        DiscardInputUntil(hEditor, ::GetTickCount());
    if (bImported)
        return;
    MSG msg;
    while (::PeekMessage(&msg, NULL, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE))
    {
    }
    UINT nFormat = 0;
    switch (m_nImportFailure)
    {
    case importNotOpened:
        XTPResourceManager()->ShowMessageBox(XTP_IDS_IMAGEEDITOR_CANNOTOPEN, MB_OK | MB_ICONEXCLAMATION);
        return;
    case importNoRenderer:
        nFormat = XTP_IDS_IMAGEEDITOR_NORENDERER;
        break;
    case importRendererSilent:
        nFormat = XTP_IDS_IMAGEEDITOR_RENDERERSILENT;
        break;
    case importRendererEnded:
        nFormat = XTP_IDS_IMAGEEDITOR_RENDERERENDED;
        break;
    default:
        XTPResourceManager()->ShowMessageBox(XTP_IDS_IMAGEEDITOR_BADPICTURE, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    // The picture is not at fault: the program's renderer is. Its path is
    // shown in wide characters, as the system has it, whatever its letters.
    CString strFormat;
    XTPResourceManager()->LoadString(&strFormat, nFormat);
    std::wstring strMessage = Widen(strFormat);
    const size_t nAt = strMessage.find(L"%s");
    if (nAt != std::wstring::npos)
        strMessage.replace(nAt, 2, m_strRenderer);
    AfxMessageBoxW(strMessage.c_str(), MB_OK | MB_ICONEXCLAMATION);
}

// ---------------------------------------------------------------------------
// Mouse

CPoint CXTPImageEditorPicture::PointToCell(CPoint point) const
{
    CPoint pt(point.x / std::max(1, m_nCellWidth), point.y / std::max(1, m_nCellHeight));
    pt.x = std::max(0, std::min((int)m_szPicture.cx - 1, (int)pt.x));
    pt.y = std::max(0, std::min((int)m_szPicture.cy - 1, (int)pt.y));
    return pt;
}

COLORREF CXTPImageEditorPicture::GetPixelColor(CPoint ptCell) const
{
    if (m_pCurrentPicture == NULL)
        return XTP_IMAGEEDITOR_TRANSPARENT;
    return m_pCurrentPicture->GetColor(ptCell.x, ptCell.y);
}

void CXTPImageEditorPicture::MergeOpaque(CAlphaBitmap* pImage, const CAlphaBitmap* pReference) const
{
    if (pImage == NULL || !pImage->m_bAlpha)
        return;
    const CSize sz = pImage->GetSize();
    for (int y = 0; y < sz.cy; y++)
    {
        for (int x = 0; x < sz.cx; x++)
        {
            DWORD p = pImage->GetPixel(x, y) & 0xFFFFFF;
            DWORD dwRef = pReference != NULL ? pReference->GetPixel(x, y) : kTransparentPixel;
            if (p == (dwRef & 0xFFFFFF))
                pImage->SetPixel(x, y, p | (dwRef & 0xFF000000));
            else
                pImage->SetPixel(x, y, p == kTransparentPixel ? p : (p | 0xFF000000));
        }
    }
}

void CXTPImageEditorPicture::FloodFill(CAlphaBitmap* pImage, CPoint ptCell, COLORREF clrFill) const
{
    // The area of the colour under the cell, joined side by side, takes the
    // fill colour.
    const CSize sz = pImage->GetSize();
    const DWORD dwArea = pImage->GetPixel(ptCell.x, ptCell.y) & 0xFFFFFF;
    const DWORD dwFill = ColorToPixel(clrFill, 0);
    if (dwArea == (dwFill & 0xFFFFFF))
        return;
    std::vector<CPoint> stack;
    stack.push_back(ptCell);
    while (!stack.empty())
    {
        CPoint pt = stack.back();
        stack.pop_back();
        if (pt.x < 0 || pt.y < 0 || pt.x >= sz.cx || pt.y >= sz.cy)
            continue;
        if ((pImage->GetPixel(pt.x, pt.y) & 0xFFFFFF) != dwArea)
            continue;
        pImage->SetPixel(pt.x, pt.y, dwFill);
        stack.push_back(CPoint(pt.x + 1, pt.y));
        stack.push_back(CPoint(pt.x - 1, pt.y));
        stack.push_back(CPoint(pt.x, pt.y + 1));
        stack.push_back(CPoint(pt.x, pt.y - 1));
    }
}

void CXTPImageEditorPicture::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (m_pParentDlg == NULL || m_bTracking)
    {
        CStatic::OnLButtonDown(nFlags, point);
        return;
    }
    const CPoint ptCell = PointToCell(point);
    const int nTool = m_pParentDlg->GetCurrentTool();
    const COLORREF clrCurrent = m_pParentDlg->GetCurrentColor();

    switch (nTool)
    {
    case xtpToolPencil:
    case xtpToolLine:
    case xtpToolRectangle:
    case xtpToolCircle:
    {
        // A copy of the image (a blank one when there is none) is drawn on.
        CAlphaBitmap* pCopy = CopyPicture(m_pCurrentPicture);
        if (pCopy == NULL)
            return;
        COLORREF clrPixel = GetPixelColor(ptCell);
        BeginStep();
        m_pCurrentPicture = pCopy;
        // A second click on the current colour erases.
        m_clrDraw = clrPixel == clrCurrent ? XTP_IMAGEEDITOR_TRANSPARENT : clrCurrent;
        m_ptTracked = ptCell;
        m_bTracking = TRUE;
        SetCapture();
        DrawTrackingStep(ptCell);
        break;
    }
    case xtpToolFill:
    {
        CAlphaBitmap* pCopy = CopyPicture(m_pCurrentPicture);
        if (pCopy == NULL)
            return;
        FloodFill(pCopy, ptCell, clrCurrent);
        BeginStep();
        m_pCurrentPicture = pCopy;
        MergeOpaque(m_pCurrentPicture, m_pPicturePrev);
        Commit();
        break;
    }
    case xtpToolGetColor:
        m_pParentDlg->OnPickColor(GetPixelColor(ptCell));
        break;
    default:
        break;
    }
}

void CXTPImageEditorPicture::DrawTrackingStep(CPoint ptCell)
{
    if (m_pParentDlg == NULL)
        return;
    const int nTool = m_pParentDlg->GetCurrentTool();
    if (nTool == xtpToolPencil)
    {
        CAlphaBitmap* pCopy = CopyPicture(m_pCurrentPicture);
        if (pCopy == NULL)
            return;
        pCopy->SetPixel(ptCell.x, ptCell.y, ColorToPixel(m_clrDraw, 0));
        MergeOpaque(pCopy, m_pCurrentPicture);
        ReplaceCurrent(pCopy);
    }
    else
    {
        // The shape is drawn afresh on the "before" image, so it follows
        // the mouse.
        CAlphaBitmap* pCopy = CopyPicture(m_pPicturePrev);
        if (pCopy == NULL)
            return;
        CDC dc;
        dc.CreateCompatibleDC(NULL);
        CBitmap* pOld = dc.SelectObject(pCopy);
        CRect rc(m_ptTracked, ptCell);
        rc.NormalizeRect();
        if (nTool == xtpToolLine)
        {
            CPen pen(PS_SOLID, 1, m_clrDraw);
            CPen* pOldPen = dc.SelectObject(&pen);
            dc.MoveTo(m_ptTracked);
            dc.LineTo(ptCell);
            dc.SelectObject(pOldPen);
        }
        else if (nTool == xtpToolRectangle)
        {
            dc.Draw3dRect(rc, m_clrDraw, m_clrDraw);
        }
        else if (nTool == xtpToolCircle)
        {
            CPen pen(PS_SOLID, 1, m_clrDraw);
            CBrush brush(XTP_IMAGEEDITOR_TRANSPARENT);
            CPen* pOldPen = dc.SelectObject(&pen);
            CBrush* pOldBrush = dc.SelectObject(&brush);
            dc.Ellipse(rc);
            dc.SelectObject(pOldBrush);
            dc.SelectObject(pOldPen);
        }
        dc.SelectObject(pOld);
        ::GdiFlush();
        if (pCopy->m_bAlpha)
            MergeOpaque(pCopy, m_pPicturePrev);
        else
        {
            for (int i = 0; i < m_szPicture.cx * m_szPicture.cy; i++)
                pCopy->GetBits()[i] &= 0x00FFFFFF;
        }
        ReplaceCurrent(pCopy);
    }
    RedrawAll();
}

void CXTPImageEditorPicture::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_bTracking)
        DrawTrackingStep(PointToCell(point));
    CStatic::OnMouseMove(nFlags, point);
}

void CXTPImageEditorPicture::EndTracking()
{
    if (!m_bTracking)
        return;
    m_bTracking = FALSE;
    Commit();
}

void CXTPImageEditorPicture::OnLButtonUp(UINT nFlags, CPoint point)
{
    // The step is committed once, whether the release or the loss of the
    // capture comes first.
    EndTracking();
    if (GetCapture() == this)
        ReleaseCapture();
    CStatic::OnLButtonUp(nFlags, point);
}

void CXTPImageEditorPicture::OnCaptureChanged(CWnd* pWnd)
{
    EndTracking();
    CStatic::OnCaptureChanged(pWnd);
}

BOOL CXTPImageEditorPicture::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    HCURSOR hCursor = NULL;
    if (m_pParentDlg != NULL)
    {
        switch (m_pParentDlg->GetCurrentTool())
        {
        case xtpToolPencil: hCursor = m_hCursorPencil; break;
        case xtpToolFill: hCursor = m_hCursorFillColor; break;
        case xtpToolGetColor: hCursor = m_hCursorPickColor; break;
        default: hCursor = m_hCursorLine; break;
        }
    }
    if (hCursor == NULL)
        return CStatic::OnSetCursor(pWnd, nHitTest, message);
    ::SetCursor(hCursor);
    return TRUE;
}

// ---------------------------------------------------------------------------
// Painting

void CXTPImageEditorPicture::DrawPicture(CDC* pDC, CRect rcClient)
{
    const int cx = rcClient.Width(), cy = rcClient.Height();
    if (cx <= 0 || cy <= 0)
        return;
    // Without an image (none yet, after Clear, or pixels that cannot be
    // read) the canvas stays plain white: no checker and no frame.
    pDC->FillSolidRect(rcClient, RGB(255, 255, 255));
    if (m_pCurrentPicture == NULL || m_pCurrentPicture->GetBits() == NULL)
        return;
    DWORD* pBits = NULL;
    HBITMAP hBuffer = CreateTopDownDib(cx, cy, &pBits);
    if (hBuffer == NULL)
        return;
    const CSize sz = m_pCurrentPicture->GetSize();
    const BOOL bAlpha = m_pCurrentPicture->m_bAlpha;
    for (int y = 0; y < cy; y++)
    {
        const int ySource = y * sz.cy / cy;
        for (int x = 0; x < cx; x++)
        {
            const int xSource = x * sz.cx / cx;
            const DWORD p = m_pCurrentPicture->GetPixel(xSource, ySource);
            const int b = (((x + 3) / 4 + (y + 3) / 4) % 2 == 0) ? 255 : 235;
            DWORD dwOut;
            if (bAlpha)
            {
                const int a = (int)(p >> 24);
                const int r = b - (b - (int)((p >> 16) & 0xFF)) * a / 255;
                const int g = b - (b - (int)((p >> 8) & 0xFF)) * a / 255;
                const int bl = b - (b - (int)(p & 0xFF)) * a / 255;
                dwOut = ((DWORD)r << 16) | ((DWORD)g << 8) | (DWORD)bl;
            }
            else if ((p & 0xFFFFFF) == kTransparentPixel)
            {
                dwOut = ((DWORD)b << 16) | ((DWORD)b << 8) | (DWORD)b;
            }
            else
            {
                dwOut = p & 0xFFFFFF;
            }
            pBits[y * cx + x] = dwOut;
        }
    }
    CDC dcBuffer;
    dcBuffer.CreateCompatibleDC(pDC);
    HGDIOBJ hOld = ::SelectObject(dcBuffer.GetSafeHdc(), hBuffer);
    pDC->BitBlt(rcClient.left, rcClient.top, cx, cy, &dcBuffer, 0, 0, SRCCOPY);
    ::SelectObject(dcBuffer.GetSafeHdc(), hOld);
    ::DeleteObject(hBuffer);
    CBrush brushFrame(RGB(0, 0, 0));
    pDC->FrameRect(rcClient, &brushFrame);
}

BOOL CXTPImageEditorPicture::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

LRESULT CXTPImageEditorPicture::OnPrintClient(WPARAM wParam, LPARAM)
{
    return XTPImageEditorPrintClient(this, wParam, &CXTPImageEditorPicture::DrawPicture);
}

void CXTPImageEditorPicture::OnPaint()
{
    XTPImageEditorPaintBuffered(this, &CXTPImageEditorPicture::DrawPicture);
}
