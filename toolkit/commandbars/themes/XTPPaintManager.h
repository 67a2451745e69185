// The paint manager of the command bars: the base of every command-bar paint
// theme. It holds the theme's colours, fonts, metrics and switches, is
// reference counted through the class library's command target, and is
// installed as the process-wide (global) paint manager by the theme factory.
// The virtual operations keep the slot order the themes rely on.
#pragma once

#include "XTPCommon.h"
#include "XTPColorManager.h"
#include "XTPShadowSettings.h"
#include "XTPWinThemeWrapper.h"

class CXTPControl;
class CXTPControlComboBox;
class CXTPControlEdit;
class CXTPCommandBar;
class CXTPCommandBars;
class CXTPDockBar;
class CXTPStatusBar;
class CXTPStatusBarPane;
class CXTPCommandBarKeyboardTip;
class CXTPImageManagerIcon;
class CXTPControlGalleryPaintManager;
class CXTPPopupBar;

// Theme ids of the theme factory.
enum XTPPaintTheme
{
    xtpThemeDefault = 0,
    xtpThemeOffice = 1,
    xtpThemeOffice2003 = 2,
    xtpThemeNativeWinXP = 3,
    xtpThemeWhidbey = 4,
    xtpThemeOffice2007 = 5,
    xtpThemeRibbon = 6,
    xtpThemeCustom = 7
};

// A font of the paint manager: a standard font is rebuilt from the system's
// fonts on every font update; a font set by the application is kept.
class CXTPPaintManagerFont : public CFont
{
public:
    CXTPPaintManagerFont() : m_bStandardFont(TRUE) {}
    virtual ~CXTPPaintManagerFont() {}

    // Rebuilds the font from a LOGFONT when it is standard or holds no font.
    BOOL SetStandardFontIndirect(const LOGFONT* pLogFont);
    // Sets the application's own font (NULL: back to the standard font).
    BOOL SetCustomFontIndirect(const LOGFONT* pLogFont);
    BOOL IsStandardFont() const { return m_bStandardFont; }

protected:
    BOOL m_bStandardFont;
};

// The four icon switches of the paint manager.
struct XTP_COMMANDBARS_ICONSINFO
{
    BOOL bUseFadedIcons;
    BOOL bUseDisabledIcons;
    BOOL bIconsWithShadow;
    BOOL bOfficeStyleDisabledIcons;     // generate disabled icons; not saved
};

class CXTPPaintManager : public CCmdTarget, public CXTPShadowSettings
{
public:
    CXTPPaintManager();
    virtual ~CXTPPaintManager();

    // Theme factory and the global instance.
    static CXTPPaintManager* AFX_CDECL CreateTheme(int nTheme);
    // The ribbon theme lives with the ribbon: it registers its maker here
    // (theme 6 falls back to the Office 2007 theme in programs without it).
    typedef CXTPPaintManager*(AFX_CDECL* PFNCREATETHEME)();
    static void AFX_CDECL RegisterRibbonTheme(PFNCREATETHEME pfnCreate) { s_pfnCreateRibbonTheme = pfnCreate; }
    static void AFX_CDECL SetTheme(int nTheme);
    static void AFX_CDECL SetCustomTheme(CXTPPaintManager* pTheme);
    // The global paint manager; the default theme is made on first use.
    static CXTPPaintManager* AFX_CDECL GetGlobalPaintManager();
    // Releases the global paint manager (at exit).
    static void AFX_CDECL ReleaseGlobalPaintManager();

    int GetCurrentTheme() const { return m_themeCurrent; }

    // A selected or pressed value set from the keyboard (2 or 3).
    static BOOL AFX_CDECL IsKeyboardSelected(int nValue) { return nValue == 2 || nValue == 3; }
    // Whether a bar is drawn flat: the menu-bar flag for a menu bar, the
    // tool-bar flag for the others.
    BOOL IsFlatToolBar(CXTPCommandBar* pBar);
    // Measures (bDraw FALSE) or draws one control: an edit through
    // DrawControlEdit, a combo box through DrawControlComboBox, a control on
    // a popup bar as a menu item, any other as a toolbar control.
    CSize DrawControl(CDC* pDC, CXTPControl* pControl, BOOL bDraw = TRUE);

    CXTPControlGalleryPaintManager* GetGalleryPaintManager() const { return m_pGalleryPaintManager; }

    // Sizes and layout helpers of controls.
    CSize GetControlImageSize(CXTPControl* pControl);
    // A control's fixed width and height override the measured ones (on a
    // vertical bar the width applies to the height and the height to the width).
    CSize AdjustControlSize(CXTPControl* pControl, int cx, int cy, BOOL bVertical);
    // Splits a caption at the space nearest its middle into two lines.
    static void AFX_CDECL SplitCaption(const CString& strCaption, CString& strLine1, CString& strLine2);
    CSize DrawTwoLineText(CDC* pDC, CXTPControl* pButton, CRect rcText, BOOL bDraw, BOOL bVertical,
                          BOOL bDropDown);
    CSize DrawControlCaption(CDC* pDC, CXTPControl* pButton, CRect rcText, BOOL bDraw, BOOL bVertical,
                             BOOL bCentered, BOOL bTriangle);
    void DrawCaptionWithPrefix(CDC* pDC, CXTPControl* pButton, const CString& strCaption,
                               const CString& strStripped, CRect rcText, BOOL bVertical, BOOL bCentered);
    void DrawTextOnGlass(CDC* pDC, const CString& strText, CRect rcText, UINT nFormat, BOOL bGlass);
    CSize LayoutCaptionWithImage(CDC* pDC, CXTPControl* pButton, CRect rcButton, BOOL bDraw, BOOL bTriangle,
                                 int nButtonWidth, int nButtonHeight, BOOL bImage);

    // Whether a bar is a popup bar that shows a second icon column.
    static BOOL AFX_CDECL IsDoubleIconColumn(CXTPCommandBar* pBar);
    // Whether mnemonic underlines are shown: the keyboard-cues setting, else the bar's.
    BOOL IsMnemonicsVisible(CXTPCommandBar* pBar);
    // A control's enabled state for drawing; a split popup with the value 4
    // counts as disabled.
    static BOOL AFX_CDECL IsControlEnabled(CXTPControl* pControl);

    // The effective colour of a colour-table entry (0-62); a larger value is
    // an RGB colour and is returned unchanged.
    COLORREF GetColor(int nIndex) const;
    // Writes the standard values of the listed colour-table entries.
    void SetColors(int nCount, const int* pIndexes, const COLORREF* pColors);
    CXTPPaintManagerColor& GetColorEntry(int nIndex) { return m_arrColor[nIndex]; }

    XTP_COMMANDBARS_ICONSINFO* GetIconsInfo() { return &m_iconsInfo; }
    // The base control height, at least 22.
    int GetControlHeight() const;
    // The Luna scheme in use (0 none, 1 blue, 2 olive, 3 silver).
    int GetCurrentSystemTheme() const;
    void SetLunaTheme(int nTheme) { m_nLunaTheme = nTheme; }

    // The command-bar font made from the system's menu font.
    static LOGFONT AFX_CDECL GetCommandBarLogFont(const LOGFONT& lfMenu);
    // Rebuilds the command-bar fonts from a LOGFONT (NULL: only records
    // whether the fonts follow the system).
    void CreateCommandBarFonts(const LOGFONT* pRegularFont, BOOL bUseStandardFont = FALSE);
    void SetCommandBarsFontIndirect(const LOGFONT* pLogFont, BOOL bUseStandardFont = FALSE)
    {
        CreateCommandBarFonts(pLogFont, bUseStandardFont);
    }

    CFont* GetRegularFont() { return &m_fontRegular; }
    CFont* GetRegularBoldFont() { return &m_fontRegularBold; }
    CFont* GetIconFont() { return &m_fontIcon; }
    CFont* GetIconBoldFont() { return &m_fontIconBold; }
    CFont* GetSmCaptionFont() { return &m_fontSmCaption; }
    CFont* GetStatusFont() { return &m_fontStatus; }
    CFont* GetControlFont() { return &m_fontIcon; }

    // Drop shadows (see the fields below for where they are kept).
    BOOL IsShadowEnabled() const { return m_nThirdFlag != 0; }
    void EnableShadow(BOOL bEnable) { m_nThirdFlag = bEnable; }
    int GetShadowOptions() const { return m_nSpareWord; }
    void SetShadowOptions(int nOptions) { m_nSpareWord = nOptions; }
    COLORREF GetShadowColor() const { return m_clrSpare; }
    void SetShadowColor(COLORREF clr) { m_clrSpare = clr; }

    // The layered-window function of USER32, or NULL.
    typedef BOOL(WINAPI* PFNSETLAYEREDWINDOWATTRIBUTES)(HWND, COLORREF, BYTE, DWORD);
    PFNSETLAYEREDWINDOWATTRIBUTES GetLayeredWindowFunction() const { return m_pfnSetLayeredWindowAttributes; }

    // Drawing helpers.
    void Line(CDC* pDC, int x0, int y0, int x1, int y1);
    void Line(CDC* pDC, int x0, int y0, int x1, int y1, int nPen);
    void HorizontalLine(CDC* pDC, int x0, int y, int x1, COLORREF clr);
    void VerticalLine(CDC* pDC, int x, int y0, int y1, COLORREF clr);
    void Triangle(CDC* pDC, CPoint pt0, CPoint pt1, CPoint pt2, COLORREF clr);
    void Rectangle(CDC* pDC, CRect rc, int nPen, int nBrush);
    void Draw3dRect(CDC* pDC, CRect rc, int nTopLeft, int nBottomRight);
    void GradientFill(CDC* pDC, LPCRECT lpRect, COLORREF crFrom, COLORREF crTo, BOOL bHorz,
                      LPCRECT lpRectClip = NULL);
    static void AFX_CDECL StripMnemonics(CString& strText);
    static BOOL AFX_CDECL FontExists(LPCTSTR lpszFaceName);

    // Pixel helpers.
    static void AFX_CDECL AlphaEllipse(CDC* pDC, CRect rc, COLORREF clrBorder, COLORREF clrFace);
    static COLORREF AFX_CDECL BlendColor(CDC* pDC, int x, int y, COLORREF clrBase, COLORREF clrOther, double dFactor);
    static void AFX_CDECL BlendPixels(LPBYTE pDest, const BYTE* pFirst, int cx, int cy, const BYTE* pSecond,
                                      int nAlpha);
    // Sets the alpha byte of every pixel of a rectangle to 255 (controls on glass).
    static void AFX_CDECL MakeRectOpaque(CDC* pDC, CRect rc);

    // Virtual operations, in the order the themes override them.
    virtual CSize DrawPopupBarControl(CDC* pDC, CXTPControl* pButton, BOOL bDraw);                      // 1
    virtual CSize DrawToolBarControl(CDC* pDC, CXTPControl* pButton, BOOL bDraw);                       // 2
    virtual void DrawSplitButtonFrame(CDC* pDC, CXTPControl* pButton, CRect rcButton) = 0;              // 3
    virtual CSize DrawControlComboBox(CDC* pDC, CXTPControlComboBox* pControlCombo, BOOL bDraw);        // 4
    virtual COLORREF GetControlEditBackColor(CXTPControl* pControl);                                    // 5
    virtual CSize DrawControlEdit(CDC* pDC, CXTPControlEdit* pControlEdit, BOOL bDraw);                 // 6
    virtual CSize DrawListBoxControl(CDC* pDC, CXTPControl* pButton, CRect rc, BOOL bSelected, BOOL bEnabled,
                                     CXTPCommandBars* pCommandBars) = 0;                                // 7
    virtual void FillCommandBar(CDC* pDC, CXTPCommandBar* pBar) = 0;                                    // 8
    virtual void DrawControlEntry(CDC* pDC, CXTPControl* pButton);                                      // 9
    virtual COLORREF GetControlTextColor(CXTPControl* pButton);                                         // 10
    virtual COLORREF GetRectangleTextColor(BOOL bSelected, BOOL bPressed, BOOL bEnabled, BOOL bChecked,
                                           BOOL bPopuped, int barType, int barPosition) = 0;           // 11
    virtual void DrawRectangle(CDC* pDC, CRect rc, BOOL bSelected, BOOL bPressed, BOOL bEnabled, BOOL bChecked,
                               BOOL bPopuped, int barType, int barPosition) = 0;                       // 12
    virtual CSize DrawCommandBarGripper(CDC* pDC, CXTPCommandBar* pBar, BOOL bDraw = TRUE);             // 13
    virtual CSize DrawCommandBarSeparator(CDC* pDC, CXTPCommandBar* pBar, CXTPControl* pControl,
                                          BOOL bDraw = TRUE) = 0;                                       // 14
    virtual void AdjustExcludeRect(CRect& rc, CXTPControl* pControl, BOOL bVertical) = 0;               // 15
    virtual void DrawStatusBarPaneEntry(CDC* pDC, CRect rcItem, CXTPStatusBarPane* pPane);              // 16
    virtual void DrawStatusBarPaneBorder(CDC* pDC, CRect rc, BOOL bGripperPane);                        // 17
    virtual void DrawStatusBarGripper(CDC* pDC, CRect rcClient);                                        // 18
    virtual void FillDockBar(CDC* pDC, CXTPDockBar* pBar);                                              // 19
    virtual void FillStatusBar(CDC* pDC, CXTPStatusBar* pBar);                                          // 20
    virtual void RefreshMetrics();                                                                      // 21
    virtual CSize DrawExpandOrHideButton(CDC* pDC, int nKind, CXTPControl* pButton, CXTPCommandBar* pBar,
                                         BOOL bDraw, LPVOID lpParam);                                   // 22
    virtual CRect GetCommandBarBorders(CXTPCommandBar* pBar);                                           // 23
    virtual CSize DrawTearOffGripper(CDC* pDC, CRect rcGripper, BOOL bHot, BOOL bPressed, BOOL bDraw) = 0; // 24
    virtual void DrawImage(CDC* pDC, CPoint pt, CSize sz, CXTPImageManagerIcon* pImage, BOOL bSelected,
                           BOOL bPressed, BOOL bEnabled, BOOL bChecked, BOOL bPopuped,
                           BOOL bToolBarImage) = 0;                                                     // 25
    virtual CSize DrawDialogBarGripper(CDC* pDC, CXTPCommandBar* pBar, BOOL bDraw) = 0;                 // 26
    virtual CRect GetSplitButtonCommandRect(CXTPControl* pButton);                                      // 27
    virtual void SetCommandBarRegion(CXTPCommandBar* pCommandBar);                                      // 28
    virtual CSize DrawCheckBoxMark(CDC* pDC, CRect rc, BOOL bDraw, BOOL bSelected, BOOL bPressed, int nChecked,
                                   BOOL bEnabled);                                                      // 29
    virtual CSize DrawRadioButtonMark(CDC* pDC, CRect rc, BOOL bDraw, BOOL bSelected, BOOL bPressed,
                                      int nChecked, BOOL bEnabled);                                     // 30
    virtual void FillPopupBarGripper(CDC* pDC, int x, int y, int cx, int cy, BOOL bExpanded);           // 31
    virtual int BaseTheme() = 0;                                                                        // 32
    virtual CFont* GetCommandBarFont(CXTPCommandBar* pBar, BOOL bBold = FALSE);                         // 33
    virtual void UpdateFonts();                                                                         // 34
    virtual void DrawCheckMark(CDC* pDC, CRect rcCheck, COLORREF clr);                                  // 35
    virtual void DrawRadioDot(CDC* pDC, CRect rcCheck, COLORREF clr);                                   // 36
    virtual void DrawDropDownArrow(CDC* pDC, CRect rc, COLORREF clr);                                   // 37
    virtual void DrawDropDownGlyph(CDC* pDC, CXTPControl* pControl, CPoint pt, BOOL bSelected, BOOL bPopuped,
                                   BOOL bEnabled, BOOL bVert);                                          // 38
    virtual void AnimatePopup(CDC* pDestDC, CDC* pSrcDC, CRect rc, int nAnimation);                     // 39
    virtual void AnimateExpanding(CXTPCommandBar* pCommandBar, CDC* pDestDC, CDC* pSrcDC,
                                  BOOL bExpandDown);                                                    // 40
    virtual void FillWorkspace(CDC* pDC, CRect rc, CRect rcExclude);                                    // 41
    virtual void DrawKeyboardTip(CDC* pDC, CXTPCommandBarKeyboardTip* pWnd, BOOL bSetRegion);           // 42
    virtual void ReservedOperation();                                                                   // 43
    virtual int GetPopupBarGripperWidth(CXTPCommandBar* pBar);                                          // 44
    virtual CSize GetPopupBarIconColumnSize(CXTPCommandBar* pBar);                                      // 45
    virtual void DrawControlText(CDC* pDC, const CString& strText, CRect& rcText, UINT nFormat, BOOL bDraw,
                                 BOOL bSelected, BOOL bEnabled);                                        // 46
    // Added after the ordered slots.
    // Whether a rectangle of a bar lies on the caption of a ribbon that draws
    // the frame (only a ribbon theme says so).
    virtual BOOL IsInRibbonCaption(const CRect& /*rc*/, CXTPCommandBar* /*pBar*/) const { return FALSE; }

protected:
    // Whether a bar is docked left or right (its controls and text run down).
    static BOOL AFX_CDECL IsVerticalBar(CXTPCommandBar* pBar);
    // A rectangle of the size centred in a cell.
    static CRect AFX_CDECL CenteredRect(const CRect& rcCell, CSize sz);
    // The size an image is drawn at for a width: the height by its own proportions.
    static CSize AFX_CDECL GetScaledImageSize(CXTPImageManagerIcon* pImage, int cx);
    // The icon size of the customise dialog's command list: the command
    // bars' option, 16 x 16 without command bars.
    static CSize AFX_CDECL GetListBoxIconSize(CXTPCommandBars* pCommandBars);
    // A check box or radio button on a tool bar: the mark, then the caption.
    CSize DrawCheckControl(CDC* pDC, CXTPControl* pButton, CRect rc, BOOL bDraw, BOOL bVertical);
    // The label part of a combo box or edit control (drawn), or the size of
    // the whole control (measured), storing the label width, the drop-down
    // button width (combo boxes) and whether the layout changed.
    CSize DrawControlFieldLabel(CDC* pDC, CXTPControl* pControl, BOOL bDraw, BOOL bImageVisible, int& nLabelWidth,
                                BOOL& bLayoutChanged, int* pnThumbWidth);
    // Draws a control's icon for its states. The classic look embosses a
    // disabled icon (highlight one pixel down and right, shadow on top),
    // shades an indeterminate one in the shadow colour and moves a pressed
    // icon one pixel down and right; the flat look draws disabled and
    // indeterminate icons as one shape in colour 40 and pressed icons in place.
    void DrawImageByState(CDC* pDC, CPoint pt, CSize sz, CXTPImageManagerIcon* pImage, BOOL bSelected,
                          BOOL bPressed, BOOL bEnabled, BOOL bChecked, BOOL bPopuped, BOOL bFlatLook);

public:
    // The command bars and the drop shadows read six settings that have no
    // field of their own name; they are kept here, in every theme:
    //   drop-shadow colour     -> m_clrSpare (0 after each refresh; Office 2003
    //                             writes its scheme's colour)
    //   drop shadows on        -> m_nThirdFlag (the Office themes switch it on)
    //   drop-shadow options    -> m_nSpareWord (XTPShadowOptions bits)
    //   control font           -> m_fontIcon (the icon title font, also the
    //                             font of edit and combo fields)
    //   animation switch       -> m_bEnableAnimation
    //   frame-drawing flag     -> m_bFrameStatusBar
    // The last two have no spare field of a fitting default and keep fields
    // of their own, both off. m_bSecondFlag is read by nothing.
    COLORREF m_clrSpare;                        // drop-shadow colour; set to 0 by each refresh
    COLORREF m_clrStatusTextColor;              // status panes without their own colour
    CXTPPaintManagerColorGradient m_clrDisabledIcon;    // bar face: button face to button shadow
    CXTPPaintManagerColor m_clrFloatingGripper; // shadow colour: caption strip of floating bars
    CXTPPaintManagerColor m_clrFloatingGripperText; // highlight colour: text of that strip
    BOOL m_bThickCheckMark;
    BOOL m_bSecondFlag;                         // default 1; not read by the base
    BOOL m_bThemedStatusBar;                    // open the "STATUS" visual style on refresh
    BOOL m_bThemedCheckBox;                     // open the "BUTTON" visual style on refresh
    BOOL m_bClearTypeTextQuality;
    BOOL m_bFlatToolBar;
    BOOL m_bFlatMenuBar;
    int m_nPopupBarTextPadding;                 // 4
    BOOL m_bSelectImageInPopupBar;              // whole-row highlight on popup bars
    int m_nSpareWord;                           // drop-shadow options
    BOOL m_bWideCaptionSpacing;                 // toolbar captions: 8 not 10, start at the icon's width
    BOOL m_bShowLabelIconColumn;                // labels keep the icon column (1)
    CXTPPaintManagerFont m_fontSmCaption;
    CXTPPaintManagerFont m_fontIcon;
    CXTPPaintManagerFont m_fontIconBold;
    CXTPPaintManagerFont m_fontStatus;
    int m_nSplitButtonDropDownWidth;            // 11
    int m_nSplitButtonPopupWidth;               // 20: the split-arrow width on popup bars
    BOOL m_bAutoResizeIcons;                    // icons follow the font
    CXTPControlGalleryPaintManager* m_pGalleryPaintManager;     // owned; draws gallery controls
    PFNSETLAYEREDWINDOWATTRIBUTES m_pfnSetLayeredWindowAttributes;
    CFont m_fontRegular;
    CFont m_fontRegularBold;
    CFont m_fontVert;
    CFont m_fontVertBold;
    int m_nTextHeight;                          // base control height: height of " " + 6
    int m_nEditHeight;                          // 0 = from the font
    BOOL m_bUseOfficeFont;                      // prefer the configured face
    CString m_strOfficeFont;                    // "Tahoma"
    BOOL m_bUseStandardFont;                    // the fonts follow the system (1)
    BOOL m_bEmbossedDisabledText;               // (1)
    int m_nThirdFlag;                           // drop shadows on; set by the Office themes
    CXTPWinThemeWrapper m_themeStatusBar;
    CXTPWinThemeWrapper m_themeButton;
    XTPPaintTheme m_themeCurrent;
    XTP_COMMANDBARS_ICONSINFO m_iconsInfo;
    int m_nAnimationSteps;                      // 10
    int m_nAnimationTime;                       // 100 ms
    int m_bShowKeyboardCues;                    // -1 follow the bar, 0 hide, 1 show underlines
    CXTPPaintManagerColor m_arrColor[63];
    int m_nLunaTheme;                           // 0 none .. 3 silver, 4 detected, 5 automatic

    // Read by the command bars.
    BOOL m_bEnableAnimation;                    // animation when the bar's own is off
    BOOL m_bFrameStatusBar;                     // a themed frame draws the status bar's area

private:
    CXTPPaintManager(const CXTPPaintManager&);
    CXTPPaintManager& operator=(const CXTPPaintManager&);

    static CXTPPaintManager* s_pInstance;
    static PFNCREATETHEME s_pfnCreateRibbonTheme;
};

// The global paint manager (made with the default theme on first use).
CXTPPaintManager* AFX_CDECL XTPPaintManager();
