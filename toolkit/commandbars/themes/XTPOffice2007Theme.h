// The Office 2007 command-bar theme: the Office 2003 drawing fed with the
// colours of the theme text (the Office 2007 image store), an image-based
// status bar and workspace, and, for frames whose non-client area a frame
// manager routes here, the whole window frame with its rounded caption,
// caption buttons and borders. Every colour comes from the theme text by
// section and key and every picture from the store by name: a missing key
// gives -1 and a missing picture is simply not drawn.
#pragma once

#include "XTPOffice2003Theme.h"
#include "XTPOffice2007Image.h"

class CXTPControls;

// What the Office 2007 theme asks of the object that routes a frame's
// non-client painting to it (the ribbon's frame manager derives from this).
class CXTPOffice2007FrameInfo
{
public:
    virtual ~CXTPOffice2007FrameInfo() {}

    // The frame window.
    virtual HWND GetFrameHwnd() const = 0;
    // Whether the frame is drawn active.
    virtual BOOL IsFrameActive() const = 0;
    // The caption height, frame border included.
    virtual int GetCaptionHeight() const = 0;
    // Whether the frame shows its own caption (FALSE: the ribbon draws it).
    virtual BOOL IsCaptionVisible() const = 0;
    // The width of the frame's left and right borders.
    virtual int GetFrameBorder() const = 0;
    // The caption buttons (may be NULL: none).
    virtual CXTPControls* GetCaptionButtons() const = 0;
    // Whether a status bar is drawn into the frame, and its height. The
    // default asks the theme's flag and the frame's status bar (see
    // CXTPOffice2007Theme::GetFrameStatusBarHeight).
    virtual BOOL IsFrameHasStatusBar(int* pnStatusHeight = NULL) const;
};

class CXTPOffice2007Theme : public XTPPaintThemes::CXTPOffice2003Theme
{
public:
    CXTPOffice2007Theme();
    virtual ~CXTPOffice2007Theme();

    virtual COLORREF GetRectangleTextColor(BOOL bSelected, BOOL bPressed, BOOL bEnabled, BOOL bChecked,
                                           BOOL bPopuped, int barType, int barPosition);
    virtual void DrawStatusBarPaneBorder(CDC* pDC, CRect rc, BOOL bGripperPane);
    virtual void DrawStatusBarGripper(CDC* pDC, CRect rcClient);
    virtual void FillStatusBar(CDC* pDC, CXTPStatusBar* pBar);
    virtual void RefreshMetrics();
    virtual int BaseTheme();
    virtual void FillWorkspace(CDC* pDC, CRect rc, CRect rcExclude);

    // Added by this theme, in this order.
    virtual void DrawFrame(CDC* pDC, CXTPOffice2007FrameInfo* pFrame);
    // The window region of a frame of cx x cy (rounded top corners), or NULL
    // for a maximized frame. The caller owns the region.
    virtual HRGN CalcFrameRegion(CXTPOffice2007FrameInfo* pFrame, int cx, int cy);
    virtual void DrawFrameCaptionButton(CDC* pDC, CRect rc, int nId, BOOL bSelected, BOOL bPressed, BOOL bActive);
    virtual void DrawCaptionText(CDC* pDC, CRect rcCaptionText, CWnd* pSite, BOOL bActive);

    static HICON AFX_CDECL GetFrameSmallIcon(CWnd* pFrame);
    static HICON AFX_CDECL GetFrameLargeIcon(CWnd* pFrame);

    // The image store the theme reads, and one of its pictures (NULL when missing).
    CXTPOffice2007ImageStore* GetImages() const { return m_pImages; }
    // Uses another store (tests: an empty store).
    void SetImages(CXTPOffice2007ImageStore* pImages) { m_pImages = pImages; }
    CXTPOffice2007Image* LoadImage(LPCTSTR lpszFileName);
    // A colour of the theme text, -1 when the key is missing.
    COLORREF GetImageColor(LPCTSTR lpszSectionName, LPCTSTR lpszKeyName) const;

    // The height of the status bar a frame draws into itself: the status bar
    // (a visible child with id 59393 that answers WM_XTP_FRAMEDRAWSTATUSBAR
    // with a non-zero value), 0 when the paint manager's m_bFrameStatusBar
    // (set by the ribbon theme) is off or there is none.
    int GetFrameStatusBarHeight(HWND hWndFrame) const;

    CFont* GetCaptionFont() { return &m_fontFrameCaption; }

    // The glyph size of a caption button rectangle of a width: 13, 17 or 23.
    static int AFX_CDECL GetCaptionButtonGlyphSize(int nWidth);

public:
    CFont m_fontFrameCaption;
    BOOL m_bRecreateCaptionFont;
    int m_nRibbonCaptionHeight;             // max(SM_CYCAPTION + 1, 18)
    int m_nFrameCaptionHeight;              // max(SM_CYCAPTION, 17)
    CXTPOffice2007ImageStore* m_pImages;
    COLORREF m_clrFrameBorderActive[4];     // "BorderActive0".."3", outermost first
    COLORREF m_clrFrameBorderInactive[4];
    COLORREF m_clrFrameCaptionTextActive;
    COLORREF m_clrFrameCaptionTextInActive;
    COLORREF m_clrFrameCaptionTextActiveTitle;
    COLORREF m_clrMenuBarText;
    COLORREF m_clrStatusBarShadow;
    CXTPPaintManagerColorGradient m_clrStatusBarTop;
    CXTPPaintManagerColorGradient m_clrStatusBarBottom;
    COLORREF m_clrWorkspaceClientTop;
    COLORREF m_clrWorkspaceClientMiddle;
    COLORREF m_clrWorkspaceClientBottom;

    // Draws part nState of nCount of pImage into rc with sizing margins,
    // magenta as the transparent colour when bTransparent; nothing when there
    // is no picture or rc is empty.
    static void DrawImagePart(CDC* pDC, CXTPOffice2007Image* pImage, CRect rc, int nState, int nCount,
                              CRect rcMargins, BOOL bTransparent);

protected:
    // Draws part nState of nCount of a picture into rc with sizing margins,
    // magenta as the transparent colour when bTransparent; nothing when the
    // picture is missing.
    void DrawImagePart(CDC* pDC, LPCTSTR lpszName, CRect rc, int nState, int nCount, CRect rcMargins,
                       BOOL bTransparent);
};
