// Global colours, metrics, cursors and fonts of the toolkit's older control
// family (themed buttons, flat combo box, hyperlink, colour dialog), the
// memory DC those controls paint into, and the global window map.
#pragma once

#include "XTPCommon.h"
#include "XTPColorManager.h"

class CXTAuxData
{
public:
    CXTAuxData();
    virtual ~CXTAuxData();

    // Re-reads the 40 colours from the (refreshed) colour manager.
    void UpdateSysColors();
    // Re-reads the seven metrics.
    void UpdateSysMetrics();
    // Loads the seven cursors; stops, returning FALSE, at the first that
    // cannot be had.
    BOOL LoadSysCursors();
    // Deletes and remakes every font: the face names, when given and
    // installed, replace the menu font's face (lpszVertFaceName for the
    // vertical fonts). FALSE at the first font that cannot be made.
    BOOL UpdateFonts(LPCTSTR lpszFaceName = NULL, LPCTSTR lpszVertFaceName = NULL);

    // Where the system cursors come from; tests replace it to stand for a
    // system that lacks one.
    typedef HCURSOR (WINAPI* PFNLOADSYSCURSOR)(HINSTANCE, LPCSTR);
    static PFNLOADSYSCURSOR m_pfnLoadSysCursor;

    // Colours: the system colours 15, 16, 21, 20, 22, 18, 17, 13, 14, 4, 7, 5,
    // 6, 8, 2, 3, 27, 28, 9, 19, then the colour manager's colours 30 to 49.
    COLORREF clr3DFace;
    COLORREF clr3DShadow;
    COLORREF clr3DDkShadow;
    COLORREF clr3DHilight;
    COLORREF clr3DLight;
    COLORREF clrBtnText;
    COLORREF clrGrayText;
    COLORREF clrHighlight;
    COLORREF clrHighlightText;
    COLORREF clrMenu;
    COLORREF clrMenuText;
    COLORREF clrWindow;
    COLORREF clrWindowFrame;
    COLORREF clrWindowText;
    COLORREF clrActiveCaption;
    COLORREF clrInActiveCaption;
    COLORREF clrGradActiveCapt;
    COLORREF clrGradInActiveCapt;
    COLORREF clrActiveCaptText;
    COLORREF clrInactiveCaptText;
    COLORREF clrXPBarFace;
    COLORREF clrXPHighlight;
    COLORREF clrXPHighlightBorder;
    COLORREF clrXPHighlightPushed;
    COLORREF clrXPIconShadow;
    COLORREF clrXPGrayText;
    COLORREF clrXPHighlightChecked;
    COLORREF clrXPHighlightCheckedBorder;
    COLORREF clrXPGripper;
    COLORREF clrXPSeparator;
    COLORREF clrXPDisabled;
    COLORREF clrXPMenuTextBack;
    COLORREF clrXPMenuExpanded;
    COLORREF clrXPMenuBorder;
    COLORREF clrXPMenuText;
    COLORREF clrXPHighlightText;
    COLORREF clrXPBarText;
    COLORREF clrXPBarTextPushed;
    COLORREF clrXPTabInactiveBack;
    COLORREF clrXPTabInactiveText;

    // Cursors: drag copy (9308), drag move (9309), drag refused (9311), hand
    // (the system's, else 9973), horizontal split (9970), vertical split
    // (9971), four-way move (the system's).
    HCURSOR hcurDragCopy;
    HCURSOR hcurDragMove;
    HCURSOR hcurDragNone;
    HCURSOR hcurHand;
    HCURSOR hcurHSplitBar;
    HCURSOR hcurVSplitBar;
    HCURSOR hcurMove;

    // Metrics.
    int cxSmIcon;
    int cySmIcon;
    int cxSize;
    int cySize;
    int cxHThumb;
    int cyVThumb;
    int cyMenuItem;

    // Fonts.
    CFont font;
    CFont fontBold;
    CFont fontULine;
    CFont fontVert;
    CFont fontVertBold;
    CFont fontIconTitle;
    CFont fontIconTitleBold;
    CFont fontMarlett;
    CFont fontStatus;
    CFont fontSmCaption;

    // The system, from the shared version record.
    BOOL bWin95;
    BOOL bWin98;
    BOOL bWinNT4;
    BOOL bWin2K;
    BOOL bWinXP;

    // Use "Tahoma" for the normal fonts when the menu font is Western.
    BOOL bUseTahoma;
    // Two further switches (FALSE and TRUE); nothing in the system reads them.
    BOOL bReservedFlag1;
    BOOL bReservedFlag2;

    // The common-controls version; -1 until read.
    int iComCtlVersion;

    // The registry manager's INI file path (empty: the registry is used).
    CString* pstrIniFileName;

private:
    CXTAuxData(const CXTAuxData&);
    CXTAuxData& operator=(const CXTAuxData&);

    void DeleteFonts();
};

// The one CXTAuxData, built on first use and destroyed at exit.
CXTAuxData& AFXAPI XTAuxData();

// A memory DC over a rectangle of a target DC, first filled with a gradient;
// its picture is copied to the target's rectangle when it is destroyed.
// Drawing coordinates start at (0, 0) for the rectangle's top-left.
class CXTMemDC : public CDC
{
public:
    CXTMemDC(CDC* pDC, const CRect& rect,
             const CXTPPaintManagerColorGradient& clrBack = CXTPPaintManagerColorGradient(GetXTPSysColor(COLOR_3DFACE)),
             BOOL bHorz = FALSE);
    virtual ~CXTMemDC();

    BOOL IsValid() const { return m_bValid; }
    const CRect& GetRect() const { return m_rc; }
    CBitmap& GetBitmap() { return m_bitmap; }

protected:
    CDC* m_pDC;
    CRect m_rc;
    BOOL m_bValid;
    CBitmap m_bitmap;
    HBITMAP m_hOldBitmap;

private:
    CXTMemDC(const CXTMemDC&);
    CXTMemDC& operator=(const CXTMemDC&);
};

// A map from window handles to toolkit objects; one global instance lives
// from start-up to exit.
class CXTWindowMap : public CMapPtrToPtr
{
public:
    CXTWindowMap() : CMapPtrToPtr(10) {}
};

CXTWindowMap& AFXAPI XTWindowMap();
