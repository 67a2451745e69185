// The painter of gallery controls: owned by a command-bar paint manager,
// whose colours and fonts it uses. It keeps the scroll-bar metrics the
// gallery lays its scroll bar or scroll buttons out with.
#pragma once

#include "XTPCommon.h"
#include "XTPWinThemeWrapper.h"

class CXTPPaintManager;

class CXTPControlGalleryPaintManager
{
public:
    explicit CXTPControlGalleryPaintManager(CXTPPaintManager* pPaintManager);
    virtual ~CXTPControlGalleryPaintManager();

    // Reads the system's scroll-bar metrics, reopens the "SCROLLBAR" visual
    // style and resets the scroll-button sizes.
    virtual void RefreshMetrics();

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
