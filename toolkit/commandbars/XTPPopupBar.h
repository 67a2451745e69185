// The window of a popup menu (a submenu, a context menu, a combo box's list)
// and the popup toolbar (palettes, toolbar overflow). A popup bar lays its
// controls out in one or more columns, places itself beside or below the
// control that opened it within the monitor's work area, scrolls when it is
// taller than the screen, hides rarely used commands behind an expand button
// until asked, and can be torn off into a floating toolbar. Its window
// exists only while it is open.
#pragma once

#include "XTPCommandBar.h"
#include "XTPControlButton.h"

class CXTPControlPopup;
class CXTPToolBar;

class CXTPPopupBar : public CXTPCommandBar
{
    DECLARE_DYNCREATE(CXTPPopupBar)
public:
    // The button at the bottom of a short menu that shows the full menu.
    class CControlExpandButton : public CXTPControlButton
    {
        DECLARE_DYNCREATE(CControlExpandButton)
    public:
        CControlExpandButton();
        virtual void OnExecute();
        virtual void Draw(CDC* pDC);
        virtual CSize GetSize(CDC* pDC);
    };

    // An arrow area of a scrolling popup.
    struct SCROLLINFO_AREA
    {
        CRect rc;
        UINT_PTR nTimer;
        UINT nIDEvent;
    };

    CXTPPopupBar();
    virtual ~CXTPPopupBar();

    // A new object of the popup-bar class registered with the command bars.
    static CXTPPopupBar* AFX_CDECL CreatePopupBar(CXTPCommandBars* pCommandBars);

    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                        CWnd* pParentWnd, UINT nID, CCreateContext* pContext = NULL);
    virtual BOOL DestroyWindow();
    virtual void DelayRedraw();
    virtual BOOL SetTrackingMode(int bMode, BOOL bSelectFirst = TRUE, BOOL bKeyboard = FALSE);
    virtual BOOL SetSelected(int nSelected, BOOL bKeyboard = FALSE);
    // Opens the popup for its parent control (NULL: at the stored origin).
    virtual BOOL Popup(CXTPControlPopup* pControlPopup, BOOL bSelectFirst = FALSE);
    virtual BOOL IsVisible() const;
    virtual void OnRecalcLayout();
    virtual CXTPCommandBar* GetParentCommandBar() const;
    virtual BOOL IsPopupBar() const { return TRUE; }
    virtual void DoPropExchange(CXTPPropExchange* pPX);
    virtual void DrawCommandBar(CDC* pDC, CRect rcClipBox);
    virtual CRect GetBorders();
    virtual int OnHookKeyDown(UINT nChar, LPARAM lParam);
    virtual CSize CalcDynamicLayout(int nLength, DWORD dwMode);
    virtual void OnControlsChanged();
    virtual void Copy(CXTPCommandBar* pCommandBar, BOOL bRecursive = FALSE);
    virtual CXTPCommandBar* Clone(BOOL bRecursive = FALSE);
    virtual void EnsureVisible(CXTPControl* pControl);
    virtual void UpdateShortcuts();
    virtual BOOL IsPointInBar(CPoint ptScreen) const;
    // Added: placement, placement flags and the exclude rectangle.
    virtual CRect CalcPopupRect(CSize sz);
    virtual void UpdateFlags();
    virtual void AdjustExcludeRect(CRect& rc, BOOL bVertical);

    // Opens without a parent control at a screen point (context menus).
    BOOL PopupAt(int x, int y, LPCRECT lpExclude = NULL);
    // Shows the full menu.
    void ExpandBar();
    // The first visible default control: its index, or its id; -1 none.
    int GetDefaultItem(BOOL bByPosition = TRUE) const;
    CXTPControlPopup* GetControlPopup() const { return m_pControlPopup; }
    void SetControlPopup(CXTPControlPopup* pControl) { m_pControlPopup = pControl; }

    BOOL IsExpanded() const { return m_bExpanded; }
    BOOL HasHiddenCommands() const { return m_bCollapsed; }
    BOOL IsScrolling() const { return m_bScrolling; }
    BOOL IsContextMenu() const { return m_bContextMenu; }
    void SetContextMenu(BOOL bContextMenu) { m_bContextMenu = bContextMenu; }
    BOOL IsDoubleGripper() const { return m_bDoubleGripper; }
    void SetDoubleGripper(BOOL bDouble = TRUE) { m_bDoubleGripper = bDouble; }
    BOOL GetShowShadow() const { return m_bShowShadow; }
    void SetShowShadow(BOOL bShow) { m_bShowShadow = bShow; }
    void SetTearOffPopup(LPCTSTR lpszCaption, UINT nID, int nWidth = 400);
    BOOL IsTearOffPopup(CString& strCaption, UINT& nID, int& nWidth) const;
    CXTPToolBar* GetTearOffToolBar() const { return m_pTearOffBar; }
    void SetBorders(CRect rcBorders) { m_rcBorders = rcBorders; }
    DWORD GetPopupFlags() const { return m_popupFlags; }
    CRect GetExcludeRect() const { return m_rcExclude; }
    CPoint GetPopupOrigin() const { return m_ptPopup; }
    // Flags of TrackPopupBar (0x80 and 1) kept on the popup.
    void SetTrackFlags(UINT nFlags) { m_nTrackFlags = nFlags; }
    UINT GetTrackFlags() const { return m_nTrackFlags; }
    // A slot for the chosen command id (TrackPopupBar with 0x100).
    void SetReturnCmd(UINT* pReturnCmd) { m_pReturnCmd = pReturnCmd; }
    UINT* GetReturnCmd() const { return m_pReturnCmd; }
    // Whether this popup runs its own popup-menu loop.
    void SetOwnLoop(BOOL bOwnLoop) { m_bOwnLoop = bOwnLoop; }
    BOOL IsOwnLoop() const { return m_bOwnLoop; }

    // Lays the scroll range out (size NULL: the window's).
    void UpdateScroll(LPSIZE pSize, BOOL bFromBottom, BOOL bRedraw);
    const SCROLLINFO_AREA& GetScrollDown() const { return m_scrollDown; }
    const SCROLLINFO_AREA& GetScrollUp() const { return m_scrollUp; }
    int GetFirstVisible() const { return m_nFirstVisible; }
    int GetLastVisible() const { return m_nLastVisible; }

protected:
    void DecideHiddenCommands();
    void PlaceExpandButton(CSize sz, const CRect& rcBorders);
    void AnimatePopupOpening();
    int GetAnimationKind() const;
    void TrackTearOff();
    void RemoveTearOff();

public:
    // Tears the popup off: hides it and shows its toolbar floating (the one
    // it tore off before while the bars still hold it, else the bars'
    // toolbar of the tear-off id, else a new one).
    void TearOffPopup();
    // The torn-off toolbar dragged back in before the button was let go:
    // the popup shows again and the toolbar is hidden (and, made by the
    // tear-off, removed).
    void UndoTearOff();

protected:
    void DrawScrollArrows(CDC* pDC);
    void CheckScrollArea(CPoint point);
    void KillScrollTimers();

    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg BOOL OnNcActivate(BOOL bActive);
    afx_msg BOOL OnNcCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg LRESULT OnFloatStatus(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

public:
    CXTPControlPopup* m_pControlPopup;
    CPoint m_ptPopup;
    CRect m_rcExclude;
    DWORD m_popupFlags;
    BOOL m_bDynamicLayout;
    BOOL m_bCollapsed;          // some rarely used commands are hidden now
    BOOL m_bExpanded;
    BOOL m_bExpanding;          // the next recalculation animates the expansion
    BOOL m_bTearOffPopup;
    CRect m_rcTearOffGripper;
    BOOL m_bTearOffSelected;
    BOOL m_bTearOffPressed;
    UINT_PTR m_nTearOffTimer;
    CSize m_szTearOffBar;
    CXTPToolBar* m_pTearOffBar;
    CString m_strTearOffCaption;
    UINT m_nTearOffID;
    int m_nTearOffWidth;
    BOOL m_bShowShadow;
    CRect m_rcBorders;
    BOOL m_bDoubleGripper;
    BOOL m_bContextMenu;
    BOOL m_bScrolling;
    int m_nFirstVisible;
    int m_nLastVisible;
    SCROLLINFO_AREA m_scrollDown;
    SCROLLINFO_AREA m_scrollUp;
    BOOL m_bMultiColumn;        // set by the popup layout
    UINT m_nTrackFlags;
    UINT* m_pReturnCmd;
    BOOL m_bOwnLoop;
    BOOL m_bKeyboardTips;       // keyboard tips were shown on this popup while it is open
    int m_nTipsLevelBack;       // opened by a key tip: the level of the opening bar's tips, which
                                // Escape shows again (0: none)
    UINT_PTR m_nShowFullTimer;
};

// A popup laid out as a toolbar.
class CXTPPopupToolBar : public CXTPPopupBar
{
    DECLARE_DYNCREATE(CXTPPopupToolBar)
public:
    CXTPPopupToolBar();

    static CXTPPopupToolBar* AFX_CDECL CreatePopupToolBar(CXTPCommandBars* pCommandBars);

    virtual CSize CalcDynamicLayout(int nLength, DWORD dwMode);
    virtual CXTPCommandBar* Clone(BOOL bRecursive = FALSE);
};
