// The Office 2007 theme's gallery painter: gallery backgrounds, labels,
// in-place scroll buttons and light or dark scroll bars drawn from the
// theme's colours and pictures. A missing picture is not drawn; scroll-bar
// styles other than 5 and 6 are drawn by the base painter.
#pragma once

#include "XTPControlGalleryPaintManager.h"

class CXTPOffice2007Theme;

class CXTPControlGalleryOffice2007Theme : public CXTPControlGalleryPaintManager
{
public:
    explicit CXTPControlGalleryOffice2007Theme(CXTPPaintManager* pPaintManager);

    virtual void DrawLabel(CDC* pDC, CXTPControlGalleryItem* pLabel, CRect rc);
    virtual void FillControl(CDC* pDC, CXTPControlGallery* pGallery, CRect rc);
    virtual void DrawScrollBar(CDC* pDC, CXTPScrollBase* pScroll);
    virtual void DrawScrollButtons(CDC* pDC, CXTPControlGallery* pGallery);
    virtual void RefreshMetrics();

    // The rectangles of the up, down and popup buttons at a gallery's right
    // edge, 15 pixels wide.
    void GetScrollButtonRects(CXTPControlGallery* pGallery, CRect& rcUp, CRect& rcDown, CRect& rcPopup) const;

public:
    COLORREF m_clrControlGallerySelected;   // "Toolbar"/"ControlGallerySelected"
    COLORREF m_clrControlGalleryNormal;     // "Toolbar"/"ControlGalleryNormal"
    COLORREF m_clrControlGalleryBorder;     // "Toolbar"/"ControlGalleryBorder"

protected:
    CXTPOffice2007Theme* GetTheme() const;
};
