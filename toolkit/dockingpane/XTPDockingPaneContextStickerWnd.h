// Docking stickers: small shaped windows with arrow images that appear over
// the frame while a pane is dragged with the translucent preview. A cross
// stands for the container under the cursor (its arms dock at a side of it,
// its centre tabs into it); lone arrows near the outer edges dock at the
// edge of the whole frame. The part under the cursor is highlighted.
#pragma once

#include "XTPDockingPaneDefines.h"

// Sticker kinds: a lone side arrow is one bit, a cross carries 32 and the
// bits of the parts it shows.
enum XTPDockingContextStickerKind
{
    xtpStickerNone = 0,
    xtpStickerLeft = 1,
    xtpStickerRight = 2,
    xtpStickerTop = 4,
    xtpStickerBottom = 8,
    xtpStickerCenter = 16,
    xtpStickerClient = 32
};

// The sprite sheets of the two sticker styles (bitmap resources).
#define XTP_IDB_DOCKINGPANE_STICKER_CENTER 9451   // style 0 cross background, 43 x 43
#define XTP_IDB_DOCKINGPANE_STICKERS 9452         // style 0 sheet, 120 x 109
#define XTP_IDB_DOCKINGPANE_STICKERS_OLIVE 9453   // the same in the olive scheme
#define XTP_IDB_DOCKINGPANE_STICKERS_SILVER 9454  // the same in the silver scheme
#define XTP_IDB_DOCKINGPANE_STICKERS_2005 9455    // style 1 sheet, 161 x 122

// The transparent colour of the sprite sheets.
#define XTP_DOCKINGPANE_STICKER_MASK RGB(0, 255, 0)

class CXTPDockingPaneContext;

class CXTPDockingPaneContextStickerWnd : public CWnd
{
public:
    explicit CXTPDockingPaneContextStickerWnd(CXTPDockingPaneContext* pContext);

    // The window size of a kind in a style.
    static CSize AFX_CDECL GetStickerSize(UINT nKind, int nStyle);
    // Draws the image of a kind at the origin with a highlighted part (0:
    // none); style 0 takes the sheet of the colour scheme (0-3).
    static void AFX_CDECL DrawSticker(CDC* pDC, UINT nKind, UINT nHighlighted, int nStyle, int nColorScheme);
    // The window region of a kind: one rectangle per run of drawn pixels
    // in each row of its unhighlighted image.
    static BOOL AFX_CDECL CreateStickerRegion(CRgn* pRgn, UINT nKind, int nStyle);
    // The part under a screen point (1, 2, 4, 8, 16), or 0.
    int HitTest(CPoint ptScreen);
    // Highlights a part (0: none); repaints when it changed.
    void SetHighlighted(UINT nPart);

    UINT GetKind() const { return m_typeSticker; }
    UINT GetHighlighted() const { return m_selectedSuperSticker; }

public:
    UINT m_typeSticker;
    UINT m_selectedSuperSticker;
    CXTPDockingPaneContext* m_pContext;

protected:
    virtual void PostNcDestroy() {}
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()
};
