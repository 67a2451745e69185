// The themed push button: an owner-drawn button with an optional icon or
// bitmap, a layout of image and text, hot tracking and a flicker-free paint.
// Its theme (a CXTButtonTheme or descendant) draws everything.
#pragma once

#include "XTThemeManager.h"
#include "XTButtonTheme.h"
#include "XTPImageManager.h"

// Style flags of SetStyleFlags.
#define BS_XT_FLAT 0x0001          // border only while hot or pushed; a private classic theme
#define BS_XT_SEMIFLAT 0x0002      // single-pixel raised / sunken border
#define BS_XT_TWOROWS 0x0004       // image above the text, both centred
#define BS_XT_SHOWFOCUS 0x0010     // draw the focus rectangle
#define BS_XT_HILITEPRESSED 0x0020 // hatch the face while pushed
#define BS_XT_XPFLAT 0x0040        // the Office XP look; a private Office XP theme
#define BS_XT_WINXP_COMPAT 0x1000  // the visual-styles "BUTTON" part when the system has visual styles

// Timer of the hover tracking.
#define XT_BUTTON_HOVER_TIMER 1

class CXTButton : public CButton, public CXTThemeManagerStyleHost
{
    DECLARE_DYNAMIC(CXTButton)
public:
    explicit CXTButton(CRuntimeClass* pFactoryClass = NULL);
    virtual ~CXTButton();

    // Core setter: the normal and (when not empty) hot image, at the size
    // (the normal image's own extent for (0, 0)). TRUE.
    virtual BOOL SetIcon(CSize size, const CXTPImageManagerIconHandle& hIconHandle,
                         const CXTPImageManagerIconHandle& hIconHotHandle, BOOL bRedraw = TRUE);
    // Loads the icon resources at the size; FALSE (and nothing changed) when
    // the normal icon, or a given hot icon, cannot be loaded.
    virtual BOOL SetIcon(CSize size, UINT nID, UINT nHotID = 0, BOOL bRedraw = TRUE);
    virtual BOOL SetIcon(CSize size, WORD wID, WORD wHotID, BOOL bRedraw = TRUE);
    // Wraps both handles without taking them over.
    virtual BOOL SetIcon(CSize size, HICON hIcon, HICON hIconHot = NULL, BOOL bRedraw = TRUE);
    // A bitmap (or "PNG") resource: with alpha as it is, else turned into an
    // icon whose transparent colour is its top-left pixel.
    virtual BOOL SetBitmap(CSize size, UINT nID, BOOL bRedraw = TRUE);
    virtual BOOL SetTextImagePos(CPoint ptText, CPoint ptImage, BOOL bRedraw = TRUE);
    // Returns the old flags. 0x40 gives a private Office XP theme, else 0x01
    // a private classic theme, else the shared theme.
    virtual DWORD SetStyleFlags(DWORD dwxStyle, BOOL bRedraw = TRUE);
    virtual DWORD GetStyleFlags() const;
    virtual BOOL HasTheme() const;
    // The colour operations do nothing when the button has no theme.
    virtual void SetColors(COLORREF clrFace, COLORREF clrHilite, COLORREF clrShadow, COLORREF clrText);
    virtual void SetBackColor(COLORREF clrFace);
    // The theme's face colour; without a theme the toolkit's 3-D face colour.
    virtual COLORREF GetBackColor() const;
    virtual void SetHiliteColor(COLORREF clrHilite);
    virtual void SetShadowColor(COLORREF clrShadow);
    virtual void SetTextColor(COLORREF clrText);
    // Only for an Office XP theme (number 1).
    virtual void SetXPColors(COLORREF clrBorder, COLORREF clrHotBack, COLORREF clrPushedBack);
    virtual void ToggleShowImage();
    // WM_SETFONT and a redraw; the previous WM_GETFONT font.
    virtual CFont* SetButtonFont(CFont* pFont);
    // ORs BS_OWNERDRAW into the window style; FALSE without a window.
    virtual BOOL SetOwnerDraw();
    virtual void ResetImage();
    virtual void GetButtonText(CString& strText, BOOL bRemoveMnemonics = TRUE) const;

    CXTPImageManagerIcon* GetIcon() const { return m_pIcon; }
    HICON GetIconHandle() const;
    // The next three give (0, 0) while the theme does not show images.
    CSize GetImageSize() const;
    CPoint GetTextPoint() const;
    CPoint GetImagePoint() const;
    int GetImageGap() const { return m_nImageGap; }
    int GetBorderGap() const { return m_nBorderGap; }
    BOOL IsHot() const { return m_bHot; }
    BOOL IsUserPosition() const { return m_bUserPosition; }

    // The button's theme as a button theme; null without one.
    CXTButtonTheme* GetTheme() const;

    virtual void DrawItem(LPDRAWITEMSTRUCT lpDIS);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual void OnThemeChanged();

    // One step of the hover tracking (timer 1).
    void OnHoverTimer();

protected:
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    virtual void PreSubclassWindow();

    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    afx_msg UINT OnGetDlgCode();
    afx_msg LRESULT OnSetStyle(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

public:
    int m_nBorderGap;            // image margin: distance of image and text from the edges (4)
    int m_nImageGap;             // space between image and text (8)
    BOOL m_bPreSubclassInit;     // PreSubclassWindow makes the button owner-drawn
    BOOL m_bHot;                 // the cursor is over the button
    BOOL m_bUserPosition;        // text and image points set by the caller
    BOOL m_bLBtnDown;            // the left button is held on the control
    BOOL m_bPainted;             // the hot look is shown and the hover timer runs
    DWORD m_dwxStyle;            // style flags
    CSize m_sizeImage;
    CPoint m_ptTextPos;
    CPoint m_ptImagePos;
    CXTPImageManagerIcon* m_pIcon;   // owned; null without an image
};
