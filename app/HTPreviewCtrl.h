// A static control that draws a borrowed puzzle position as a small board,
// with a margin of a tenth of its size on every side; with the placeholder
// flag the pause picture stands in for the squares.
#pragma once

#include <afxwin.h>

class CHTDataContainer;

class CHTPreviewCtrl : public CStatic
{
    DECLARE_DYNAMIC(CHTPreviewCtrl)
public:
    CHTPreviewCtrl();
    virtual ~CHTPreviewCtrl();

    // Sets what to draw and redraws.
    void SetContainer(const CHTDataContainer* pContainer, BOOL bPlaceholder = FALSE);

    // The square size and the board's offsets for a client area of w x h:
    // a fifth of each side is margin, and the board is centred in the rest.
    // FALSE (nothing to draw) for a grid without columns or rows or a
    // client area too small for one pixel per square.
    static BOOL AFX_CDECL CalcLayout(int nWidth, int nHeight, int nColumns, int nRows, int& nSquareSize,
                                     int& nLeft, int& nTop);

    // Draws the container into a DC over a client rectangle (OnPaint's
    // drawing).
    void DrawPreview(CDC* pDC, const CRect& rcClient);

public:
    const CHTDataContainer* m_pContainer;   // not owned; null at construction
    BYTE m_bPlaceholder;                    // the file could not be read

protected:
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()
};
