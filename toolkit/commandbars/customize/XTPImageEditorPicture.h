// The pixel canvas of the button image editor: it holds the image being
// edited, shows it enlarged over a checker where it is transparent, carries
// out the drawing tools with the mouse (pencil, fill, pick colour, line,
// rectangle, ellipse) and the editor's image operations (undo, redo, clear,
// move, copy, paste, import). Every change is one undo step; at most 16 steps
// can be undone.
#pragma once

#include "XTPCommandBarsDefines.h"
#include <afxtempl.h>

#include <algorithm>
#include <string>
#include <vector>

class CXTPImageEditorDlg;

// Images without alpha mark transparent pixels with this colour.
#define XTP_IMAGEEDITOR_TRANSPARENT RGB(255, 254, 255)

// The drawing tools, in the order of their commands 9135 to 9140.
enum XTPImageEditorTool
{
    xtpToolPencil = 0,
    xtpToolFill = 1,
    xtpToolGetColor = 2,
    xtpToolLine = 3,
    xtpToolRectangle = 4,
    xtpToolCircle = 5
};

// The editor's drawn windows paint through a buffer of their client size (so
// nothing flickers) and answer WM_PRINTCLIENT with the same drawing;
// pfnDraw draws the whole client area into the DC it is given.
template <class TWnd>
void XTPImageEditorPaintBuffered(TWnd* pWnd, void (TWnd::*pfnDraw)(CDC*, CRect))
{
    CPaintDC dcPaint(pWnd);
    CRect rc;
    pWnd->GetClientRect(&rc);
    CDC dcBuffer;
    dcBuffer.CreateCompatibleDC(&dcPaint);
    CBitmap bmp;
    bmp.CreateCompatibleBitmap(&dcPaint, std::max(1, rc.Width()), std::max(1, rc.Height()));
    CBitmap* pOld = dcBuffer.SelectObject(&bmp);
    (pWnd->*pfnDraw)(&dcBuffer, rc);
    dcPaint.BitBlt(0, 0, rc.Width(), rc.Height(), &dcBuffer, 0, 0, SRCCOPY);
    dcBuffer.SelectObject(pOld);
}

template <class TWnd>
LRESULT XTPImageEditorPrintClient(TWnd* pWnd, WPARAM wParam, void (TWnd::*pfnDraw)(CDC*, CRect))
{
    CRect rc;
    pWnd->GetClientRect(&rc);
    CDC* pDC = CDC::FromHandle((HDC)wParam);
    if (pDC != NULL)
        (pWnd->*pfnDraw)(pDC, rc);
    return 0;
}

class CXTPImageEditorPicture : public CStatic
{
public:
    // One image: a top-down 32-bit DIB section (blue, green, red, alpha) and
    // whether its alpha channel counts. Without alpha, pixels of the
    // transparent colour are transparent.
    class CAlphaBitmap : public CBitmap
    {
    public:
        explicit CAlphaBitmap(BOOL bAlpha = FALSE) : m_bAlpha(bAlpha), m_pBits(NULL) {}

        // A new image of the size, every pixel clrFill with alpha 0. FALSE
        // for an empty size or when the system refuses the bitmap.
        BOOL CreateImage(CSize sz, COLORREF clrFill = XTP_IMAGEEDITOR_TRANSPARENT);
        // A new image holding the pixels of any bitmap, top row first. With
        // bAlpha, pixels of alpha 0 become the transparent colour; without,
        // the alpha bytes are cleared. Null when it cannot be read.
        static CAlphaBitmap* AFX_CDECL FromBitmap(HBITMAP hBitmap, BOOL bAlpha);

        CSize GetSize() const { return m_sz; }
        // The pixel at (x, y) as 0xAARRGGBB; 0 outside the image.
        DWORD GetPixel(int x, int y) const;
        void SetPixel(int x, int y, DWORD dwPixel);
        // The colour of a pixel, alpha left out.
        COLORREF GetColor(int x, int y) const;
        DWORD* GetBits() const { return m_pBits; }

        BOOL m_bAlpha;

    private:
        DWORD* m_pBits;
        CSize m_sz;
    };

    CXTPImageEditorPicture();
    virtual ~CXTPImageEditorPicture();

    // Subclasses the static nID of the editor. The cell size is the static's
    // size divided by the image size, at least one pixel; the window shrinks
    // to whole cells plus one pixel. FALSE for an empty image size.
    BOOL Init(UINT nID, CXTPImageEditorDlg* pParentDlg);

    // The image shown; null for none. SetPicture takes the image over and
    // starts a fresh history.
    CAlphaBitmap* GetPicture() const { return m_pCurrentPicture; }
    void SetPicture(CAlphaBitmap* pPicture);
    CSize GetPictureSize() const { return m_szPicture; }
    CSize GetCellSize() const { return CSize(m_nCellWidth, m_nCellHeight); }

    // The editor's operations.
    void OnUndo();
    void OnRedo();
    void OnClear();
    void MovePicture(int dx, int dy);
    void OnCopy();
    void OnPaste();
    void OnImport();
    // Imports a picture file (.ico, .cur, .bmp, .png, or through the
    // system's picture loader) by its name as the system has it (wide
    // characters, any letters); FALSE, with nothing changed, when it cannot
    // be opened or read (GetImportFailure says which). Every file is
    // checked before a system loader sees it; a metafile is drawn in the
    // metafile renderer's process, which the import waits for at most
    // XTP_METAFILE_RENDER_TIMEOUT while the thread goes on answering its
    // messages. The narrow form takes a name in the system's code page.
    BOOL ImportFile(LPCWSTR lpszFileName);
    BOOL ImportFile(LPCSTR lpszFileName);

    // Why the last import changed nothing.
    enum ImportFailure
    {
        importNoFailure,
        importBadPicture,     // the file was read: its picture was refused
        importNotOpened,      // the file could not be opened
        importNoRenderer,     // the metafile renderer is missing or cannot start
        importRendererSilent, // it was started but did not take the picture
        importRendererEnded   // it was ended from outside while it drew
    };
    ImportFailure GetImportFailure() const { return m_nImportFailure; }
    // Takes a bitmap as the new image (one undo step); bAlpha says whether
    // its alpha channel counts. FALSE when it cannot be read.
    BOOL PasteBitmap(HBITMAP hBitmap, BOOL bAlpha);

    int GetUndoCount() const { return (int)m_lstUndo.GetCount(); }
    int GetRedoCount() const { return (int)m_lstRedo.GetCount(); }
    BOOL IsTracking() const { return m_bTracking; }

    // Copies an image at the image size: transparent where the source has
    // nothing, the source at an offset, and for a source without alpha every
    // pixel of clrFrom replaced by clrTo. A null source gives a blank image.
    CAlphaBitmap* CopyPicture(const CAlphaBitmap* pSource, CPoint ptOffset = CPoint(0, 0),
                              COLORREF clrFrom = COLORREF_NULL, COLORREF clrTo = COLORREF_NULL) const;

    // Draws the enlarged image into a DC of the client's size.
    void DrawPicture(CDC* pDC, CRect rcClient);

protected:
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    DECLARE_MESSAGE_MAP()

    // A picture file of any kind ImportFile reads, at the image size; null,
    // with the reason in m_nImportFailure, when it cannot be read.
    CAlphaBitmap* ReadPictureFile(const std::wstring& strFileName) const;
    // The bytes of an icon or cursor file, or of a BMP or PNG file, at the
    // image size; null when they cannot be read.
    CAlphaBitmap* ReadIconData(const std::vector<BYTE>& data) const;
    CAlphaBitmap* ReadBitmapData(const std::vector<BYTE>& data) const;
    // The bitmap (deleted here) copied at the image size.
    CAlphaBitmap* ImportBitmap(HBITMAP hBitmap, BOOL bAlpha) const;
    // The cell under a client point, inside the image.
    CPoint PointToCell(CPoint point) const;
    COLORREF GetPixelColor(CPoint ptCell) const;
    // Opaque merge: pixels of pImage whose colour differs from pReference
    // become opaque (the transparent colour becomes fully transparent);
    // unchanged pixels keep the reference's alpha.
    void MergeOpaque(CAlphaBitmap* pImage, const CAlphaBitmap* pReference) const;
    void DrawTrackingStep(CPoint ptCell);
    void FloodFill(CAlphaBitmap* pImage, CPoint ptCell, COLORREF clrFill) const;
    // The current image becomes the "before" image of a new step.
    void BeginStep();
    // Ends a step: the "before" image goes to the undo list (which keeps
    // at most 16), the redo list is emptied, and everything is redrawn.
    void Commit();
    void EndTracking();
    void ReplaceCurrent(CAlphaBitmap* pPicture);
    // Undo and redo: the last image of lstFrom becomes the current one, and
    // the current one goes to the end of lstTo (nothing while drawing).
    void StepBack(CList<CAlphaBitmap*, CAlphaBitmap*>& lstFrom, CList<CAlphaBitmap*, CAlphaBitmap*>& lstTo);
    void ClearList(CList<CAlphaBitmap*, CAlphaBitmap*>& list);
    void RedrawAll();

    int m_nWidth;
    int m_nHeight;
    int m_nCellWidth;
    int m_nCellHeight;
    CSize m_szPicture;
    CXTPImageEditorDlg* m_pParentDlg;
    CDC m_dcPicture;

    CAlphaBitmap* m_pPicturePrev;      // the image before the running step
    CAlphaBitmap* m_pCurrentPicture;   // may be null: no image
    CList<CAlphaBitmap*, CAlphaBitmap*> m_lstUndo;
    CList<CAlphaBitmap*, CAlphaBitmap*> m_lstRedo;

    CPoint m_ptTracked;
    BOOL m_bTracking;
    // An import is under way: a metafile's may wait for the renderer while
    // the thread answers its messages, and no second import starts meanwhile.
    BOOL m_bImporting;
    // Why the last import changed nothing, and, when the metafile renderer
    // was to blame, its path as shown to the user.
    mutable ImportFailure m_nImportFailure;
    mutable std::wstring m_strRenderer;
    COLORREF m_clrDraw;

    HCURSOR m_hCursorLine;
    HCURSOR m_hCursorPickColor;
    HCURSOR m_hCursorFillColor;
    HCURSOR m_hCursorPencil;
};
