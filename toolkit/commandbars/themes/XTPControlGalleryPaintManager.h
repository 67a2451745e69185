// The painter of gallery controls: owned by a command-bar paint manager,
// whose colours and fonts it uses. It keeps the scroll-bar metrics the
// gallery lays its scroll bar or scroll buttons out with.
#pragma once

#include "XTPCommon.h"
#include "XTPWinThemeWrapper.h"

class CXTPPaintManager;
class CXTPControlGallery;
class CXTPControlGalleryItem;
class CXTPScrollBase;

class CXTPControlGalleryPaintManager
{
public:
    explicit CXTPControlGalleryPaintManager(CXTPPaintManager* pPaintManager);
    virtual ~CXTPControlGalleryPaintManager();

    // A group heading of a gallery.
    virtual void DrawLabel(CDC* pDC, CXTPControlGalleryItem* pLabel, CRect rc);
    // The gallery's background, border and bottom separator.
    virtual void FillControl(CDC* pDC, CXTPControlGallery* pGallery, CRect rc);
    // The vertical scroll bar of a scroll base, in its drawing style.
    virtual void DrawScrollBar(CDC* pDC, CXTPScrollBase* pScroll);
    // The up, down and "more" buttons of a gallery with a popup.
    virtual void DrawScrollButtons(CDC* pDC, CXTPControlGallery* pGallery);
    // Reads the system's scroll-bar metrics, reopens the "SCROLLBAR" visual
    // style and resets the scroll-button sizes.
    virtual void RefreshMetrics();

    // The parts of a laid-out scroll bar: up arrow, track above the thumb,
    // thumb, track below it, down arrow and the whole track. The thumb (and
    // with it the page parts) is empty when bThumb is FALSE.
    struct SCROLLBARPARTS
    {
        CRect rcUp, rcPageUp, rcThumb, rcPageDown, rcDown, rcTrack;
    };
    static void AFX_CDECL GetScrollBarParts(CXTPScrollBase* pScroll, BOOL bThumb, SCROLLBARPARTS& parts);
    // Whether a scroll bar can be used: a range longer than the page and the host's consent.
    static BOOL AFX_CDECL IsScrollBarUsable(CXTPScrollBase* pScroll);
    // The part shown pressed (while tracking) and the part shown hot (otherwise).
    static void AFX_CDECL GetScrollBarStates(CXTPScrollBase* pScroll, int& nPressed, int& nHot);

    CXTPPaintManager* GetPaintManager() const { return m_pPaintManager; }

public:
    int m_cxHScroll;            // horizontal scroll arrow width (SM_CXHSCROLL)
    int m_cyHScroll;            // horizontal scroll bar height (SM_CYHSCROLL)
    int m_cyVScroll;            // vertical arrow length (SM_CYVSCROLL)
    int m_cxVScroll;            // vertical scroll bar width (SM_CXVSCROLL)
    int m_cyPopupUp;            // up button of the scroll-button column (19)
    int m_cyPopupDown;          // down button (19)
    int m_cxPopup;              // width of the scroll-button column (16)
    CXTPWinThemeWrapper m_themeScrollBar;

protected:
    CXTPPaintManager* m_pPaintManager;

private:
    CXTPControlGalleryPaintManager(const CXTPControlGalleryPaintManager&);
    CXTPControlGalleryPaintManager& operator=(const CXTPControlGalleryPaintManager&);
};
