// The window under every bar: toolbars, the menu bar, popup bars and popup
// toolbars. A bar owns its CXTPControls, keeps the selected (hot) control and
// the control whose popup is open, runs the tracking mode in which the
// keyboard moves between controls, draws itself through the paint manager
// and updates its controls from the command-UI handlers at idle time.
#pragma once

#include "XTPCommandBarsDefines.h"
#include "XTPHookManager.h"
#include "XTPAccessible.h"
// The bar's paint manager answers the shadow settings of a trackable bar.
#include "XTPPaintManager.h"
#include <afxtempl.h>

class CXTPControl;
class CXTPControls;
class CXTPCommandBars;
class CXTPImageManager;
class CXTPToolTipContext;
class CXTPPropExchange;
class CXTPCommandBarList;
class CXTPCommandBarKeyboardTip;
class CXTPCommandBarAnimation;

// Codes of CXTPCommandBar::ProcessSpecialKey.
enum XTPSpecialKey
{
    xtpKeyNext = 0,
    xtpKeyPrev = 1,
    xtpKeyBack = 2,
    xtpKeyPopup = 3,
    xtpKeyEscape = 4,
    xtpKeyReturn = 5,
    xtpKeyHome = 6,
    xtpKeyEnd = 7
};

class CXTPCommandBar : public CWnd,
                       public CXTPHookManagerHookAble,
                       public CXTPAccessible,
                       public CXTPTrackableBar
{
    DECLARE_DYNCREATE(CXTPCommandBar)
public:
    // The command-UI record of one control during the idle update.
    class CCommandBarCmdUI : public CCmdUI
    {
    public:
        CCommandBarCmdUI() : m_pControl(NULL), m_bCheckChanged(FALSE) {}
        virtual void Enable(BOOL bOn = TRUE);
        virtual void SetCheck(int nCheck = 1);
        virtual void SetText(LPCTSTR lpszText);

        CXTPControl* m_pControl;
        BOOL m_bCheckChanged;   // SetCheck ran during this update
    };

    // The bits of the idle flags.
    enum XTPIdleFlags
    {
        xtpIdleLayout = 1,
        xtpIdleRedraw = 2
    };

    CXTPCommandBar();
    virtual ~CXTPCommandBar();

    // Virtual operations, in the order derived bars rely on.
    virtual void DelayRedraw();                                                             // 1
    virtual BOOL SetTrackingMode(int bMode, BOOL bSelectFirst = TRUE, BOOL bKeyboard = FALSE); // 2
    virtual BOOL LoadMenu(CMenu* pMenu, BOOL bRemoveControls = TRUE);                       // 3
    virtual BOOL SetSelected(int nSelected, BOOL bKeyboard = FALSE);                        // 4
    virtual BOOL LoadToolBar(UINT nIDResource, BOOL bLoadIcons = TRUE);                     // 5
    virtual CSize GetButtonSize() const;                                                    // 6
    virtual BOOL IsSubMenuHit(CPoint point, BOOL bScreen) const { return FALSE; }           // 7
    virtual void SetVisible(BOOL bVisible) {}                                               // 8
    virtual BOOL IsVisible() const { return FALSE; }                                        // 9
    virtual BOOL SetPosition(XTPBarPosition barPosition) { return FALSE; }                  // 10
    virtual BOOL OnCustomizeDragEnter(CXTPControl* pDataObject, CPoint point);             // 11
    virtual void OnCustomizeDragLeave();                                                    // 12
    virtual DROPEFFECT OnCustomizeDragOver(CXTPControl* pDataObject, CPoint point);         // 13
    virtual void OnCustomizeDrop(CXTPControl* pDataObject, DROPEFFECT& dropEffect, CPoint ptDrop,
                                 CPoint ptDrag);                                             // 14
    virtual BOOL IsCustomizable() const { return m_bCustomizable; }                          // 15
    virtual void OnRecalcLayout() {}                                                         // 16
    virtual void OnControlSelected(BOOL bSelected, CXTPControl* pControl);                  // 17
    virtual CXTPCommandBar* GetParentCommandBar() const { return NULL; }                    // 18
    virtual BOOL IsCustomizeEnabledOnPopup() const { return FALSE; }                        // 19
    virtual BOOL IsEmptyDropRefused() const { return FALSE; }                               // 20
    virtual BOOL IsPopupBar() const { return FALSE; }                                       // 21
    virtual void DoPropExchange(CXTPPropExchange* pPX);                                     // 22
    virtual BOOL IsKeyboardCuesVisible() const;                                             // 23
    virtual void Redraw(LPCRECT lpRect = NULL, BOOL bAnimate = TRUE);                       // 24
    virtual void DrawCommandBar(CDC* pDC, CRect rcClipBox);                                 // 25
    virtual void EnsureVisible(CXTPControl* pControl) {}                                    // 26
    virtual CRect GetBorders();                                                             // 27
    virtual void CreateKeyboardTips();                                                      // 28
    virtual void OnKeyboardTip(CXTPCommandBarKeyboardTip* pTip);                            // 29
    virtual int OnHookKeyDown(UINT nChar, LPARAM lParam);                                   // 30
    virtual CSize CalcDynamicLayout(int nLength, DWORD dwMode) { return CSize(0, 0); }      // 31
    virtual BOOL ProcessSpecialKey(XTPSpecialKey key);                                      // 32
    virtual void OnControlsChanged();                                                       // 33
    virtual void Copy(CXTPCommandBar* pCommandBar, BOOL bRecursive = FALSE);                // 34
    virtual BOOL IsPointInBar(CPoint ptScreen) const;                                       // 35
    virtual void UpdateShortcuts() {}                                                       // 36
    virtual void GenerateCommandBarList(DWORD& nID, CXTPCommandBarList* pCommandBarList,
                                        void* pParam);                                      // 37
    virtual void RestoreCommandBarList(CXTPCommandBarList* pCommandBarList);                // 38
    virtual void FillBackground(CDC* pDC);                                                  // 39
    virtual void OnRemoved();                                                               // 40
    virtual void OnIdleUpdate();                                                            // 41
    virtual BOOL PreviewSysKey(UINT nVirtKey) { return FALSE; }                             // 42
    virtual CXTPCommandBar* Clone(BOOL bRecursive = FALSE);                                 // 43
    // Added after the ordered slots.
    virtual BOOL IsDialogBar() const { return FALSE; }
    // Whether the bar keeps the top row of its dock bar for itself.
    virtual BOOL IsRibbonBar() const { return FALSE; }
    // Runs the command-UI update of every control against the target.
    virtual void OnUpdateCmdUI(CWnd* pTarget, BOOL bDisableIfNoHndler);
    // Whether a control is one of the bar's own workings rather than a
    // command of the application (a ribbon's tab strip, say): the update
    // still asks the target, but never disables it for want of a handler.
    virtual BOOL IsOwnControl(CXTPControl* /*pControl*/) const { return FALSE; }
    // Whether a customise drag of one of the bar's controls may only copy
    // it: the control then stays where it is whatever the drop (a ribbon's
    // groups keep their controls), and is never resized there.
    virtual BOOL IsCustomizeCopyOnly(CXTPControl* /*pControl*/) const { return FALSE; }
    // The style a control of the bar is shown in, given the one it has (its
    // custom style, else its own, inherited or the bar's default): a bar
    // whose controls all take one look, whatever they carry, answers that.
    virtual XTPButtonStyle GetControlStyle(const CXTPControl* /*pControl*/, XTPButtonStyle style) const
    {
        return style;
    }

    // CXTPTrackableBar: what the foundation's managers ask of a bar.
    virtual HWND GetTrackableHwnd() const { return m_hWnd; }
    virtual int HitTestTrackedPoint(CPoint ptScreen);
    virtual void ClearSelection() { SetSelected(-1); }
    virtual void ExitTrackingMode() { SetTrackingMode(FALSE, TRUE, FALSE); }
    // The bar's own paint manager, else the command bars', else the root
    // bar's, else the global one.
    virtual CXTPPaintManager* GetPaintManager();
    // The bar's command bars are being customised.
    virtual BOOL IsCustomizeMode();
    // The command bars' site, else the root bar's parent window, else the
    // thread's main window.
    virtual CWnd* GetSite();
    virtual BOOL IsSaveBitsEnabled();

    // CXTPHookManagerHookAble: keys while the bar tracks.
    virtual int OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult);

    // Controls.
    CXTPControls* GetControls() const { return m_pControls; }
    void SetControls(CXTPControls* pControls);
    CXTPControl* GetControl(int nIndex) const;
    int GetControlCount() const;
    CXTPControl* GetSelectedControl() const { return GetControl(m_nSelected); }
    int GetSelected() const { return m_nSelected; }
    int GetPopupedIndex() const { return m_nPopuped; }
    CXTPControl* GetPopupedControl() const { return GetControl(m_nPopuped); }
    BOOL SetPopuped(int nPopuped, BOOL bKeyboard = FALSE);
    int GetTrackingMode() const { return m_bTracking; }
    BOOL IsTrackingMode() const { return m_bTracking != 0; }
    BOOL IsKeyboardSelection() const { return m_nKeyboardSelection != 0; }

    // Identity and properties.
    XTPBarType GetType() const { return m_barType; }
    void SetType(XTPBarType type) { m_barType = type; }
    XTPBarPosition GetPosition() const { return m_barPosition; }
    UINT GetBarID() const { return m_nBarID; }
    void SetBarID(UINT nID) { m_nBarID = nID; }
    CString GetTitle() const { return m_strTitle; }
    void SetTitle(LPCTSTR lpszTitle);
    DWORD GetFlags() const { return m_dwFlags; }
    void SetFlags(DWORD dwFlagsAdd, DWORD dwFlagsRemove = 0);
    // The bar's style bits (XTP_CBRS_GRIPPER...); the window's style is
    // CWnd::GetStyle.
    DWORD GetStyle() const { return m_dwStyle; }
    void SetStyle(DWORD dwStyle) { m_dwStyle = dwStyle; }
    BOOL GetShowGripper() const { return (m_dwStyle & XTP_CBRS_GRIPPER) != 0; }
    void SetShowGripper(BOOL bShow);
    BOOL IsLayoutRTL() const;
    int GetMRUWidth() const { return m_nMRUWidth; }
    void SetMRUWidth(int nWidth) { m_nMRUWidth = nWidth; }
    void SetCustomizable(BOOL bCustomizable);
    BOOL GetCustomizable() const { return m_bCustomizable; }
    void SetCustomizeDialogPresent(BOOL bPresent) { m_bCustomizeDialogPresent = bPresent; }
    BOOL IsCustomizeDialogPresent() const { return m_bCustomizeDialogPresent; }
    XTPButtonStyle GetDefaultButtonStyle() const { return m_buttonStyle; }
    void SetDefaultButtonStyle(XTPButtonStyle style) { m_buttonStyle = style; }
    void SetSelectOnHover(BOOL bSelect) { m_bSelectOnHover = bSelect; }
    void SetHideCaret(BOOL bHide) { m_bHideCaret = bHide; }

    // Sizes. 0 means: take the default.
    CSize GetIconSize() const;
    void SetIconSize(CSize size) { m_szIcons = size; }
    CSize GetLargeIconSize() const;
    void SetButtonSize(CSize size) { m_szButtons = size; }
    CSize GetButtonSizeProperty() const { return m_szButtons; }
    BOOL GetShowTextBelowIcons() const;
    void ShowTextBelowIcons(int bShow) { m_bTextBelow = bShow; }

    // Animation of redraws (the animation object of the command bars).
    void EnableAnimation(BOOL bEnable = TRUE);
    BOOL IsAnimationEnabled() const { return m_bAnimationEnabled; }
    void EnableBitmapCache(BOOL bEnable = TRUE);

    // Relations.
    CXTPCommandBars* GetCommandBars() const;
    void SetCommandBars(CXTPCommandBars* pCommandBars) { m_pCommandBars = pCommandBars; }
    CXTPImageManager* GetImageManager() const;
    void SetPaintManager(CXTPPaintManager* pPaintManager);
    void SetImageManager(CXTPImageManager* pImageManager);
    CXTPToolTipContext* GetToolTipContext() const { return m_pToolTipContext; }
    // The root of the parent chain.
    CXTPCommandBar* GetRootParent() const;
    // An explicit owner window, else the site.
    CWnd* GetOwnerSite();
    void SetOwner(CWnd* pOwner) { m_pOwner = pOwner; }
    CXTPCommandBarAnimation* GetAnimation() const { return m_pAnimation; }

    // Status-bar prompt (empty: the idle prompt).
    void SetStatusText(const CString& strDescription);
    // The keyboard-tip level when this bar owns the shown tips, else 0.
    int GetKeyboardTipLevel() const;

    // Layout and redraw requests.
    void DelayLayout() { m_dwIdleFlags |= xtpIdleLayout; }
    BOOL IsLayoutPending() const { return (m_dwIdleFlags & xtpIdleLayout) != 0; }
    void LockRedraw() { m_nLockRedraw++; }
    void UnlockRedraw();

    // The control whose access letter is the character; bAmbiguous tells
    // whether another control has the same letter.
    int FindAccel(TCHAR chAccel, BOOL& bAmbiguous) const;

    // Live instances (for leak checks).
    static LONG AFX_CDECL GetInstanceCount() { return s_nInstanceCount; }

    // Where a dragged control would land among the controls (-1 none), on
    // which side, and the insert marker for it.
    int FindCustomizeDropIndex(CXTPControl* pDataObject, CPoint point, CRect& rcMarker, BOOL& bAfter);
    // The I-beam of the insert marker, inverted into the DC.
    void DrawInsertMarker(CDC* pDC);
    // Moves the insert marker to rcMarker (empty: none shown), redrawing the
    // bar when that changes what it shows.
    void ShowInsertMarker(const CRect& rcMarker);

    // Accessibility of the bar: its controls are its children.
    virtual HRESULT GetAccessibleParent(IDispatch** ppdispParent);
    virtual HRESULT GetAccessibleChildCount(long* pcountChildren);
    virtual HRESULT GetAccessibleChild(VARIANT varChild, IDispatch** ppdispChild);
    virtual HRESULT GetAccessibleName(VARIANT varChild, BSTR* pszName);
    virtual HRESULT GetAccessibleRole(VARIANT varChild, VARIANT* pvarRole);
    virtual HRESULT GetAccessibleState(VARIANT varChild, VARIANT* pvarState);
    virtual HRESULT AccessibleLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight,
                                       VARIANT varChild);
    virtual HRESULT AccessibleHitTest(long xLeft, long yTop, VARIANT* pvarChild);
    virtual CCmdTarget* GetAccessibleCmdTarget() { return this; }
    // The bar's own name is its title, which marks its access key with '&'
    // (a popup bar is titled by its menu's caption, "&File"); its controls'
    // names are their captions without the marks.
    virtual BOOL IsAccessibleNameMnemonic(VARIANT varChild);
    virtual LPDISPATCH GetIDispatch(BOOL bAddRef);
    virtual DWORD InternalQueryInterface(const void* iid, LPVOID* ppvObj);

protected:
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual void PostNcDestroy() {}
    // The last reference goes: the window (if any) and the object.
    virtual void OnFinalRelease();
    virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const;

    // Paints the client area into the DC (the back buffer of WM_PAINT).
    void PaintClient(CDC* pDC, const CRect& rcClip);
    // Selects the first visible enabled control as from the keyboard; false
    // when there is none.
    BOOL SelectFirstEnabled();
    // Registers the bars' window class.
    static BOOL AFX_CDECL RegisterBarClass(LPCTSTR lpszClass, UINT nClassStyle);

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg LRESULT OnPrint(WPARAM wParam, LPARAM lParam);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnMouseLeave();
    afx_msg void OnNcMouseMove(UINT nHitTest, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    // While customising, the edge of a resizable control shows cursor 9972.
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetObject(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnHelpHitTest(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnInitialUpdate(WPARAM wParam, LPARAM lParam);
    afx_msg void OnSysColorChange();

    DECLARE_MESSAGE_MAP()

public:
    BOOL m_bHideCaret;
    int m_nMRUWidth;
    int m_nSelected;
    int m_nPopuped;
    HWND m_hwndFocus;
    BOOL m_bCaretHidden;        // the caret of m_hwndFocus was hidden on entering tracking
    UINT m_nBarID;
    BOOL m_bVisible;
    int m_bTracking;
    DWORD m_dwIdleFlags;
    DWORD m_dwFlags;
    DWORD m_dwStyle;
    CString m_strTitle;
    XTPBarType m_barType;
    CXTPControls* m_pControls;
    XTPBarPosition m_barPosition;
    CXTPCommandBars* m_pCommandBars;
    CSize m_szIcons;
    CSize m_szButtons;
    int m_bTextBelow;
    BOOL m_bGrabFocus;          // the root bar of a chain opened for right-button tracking
    int m_nKeyboardSelection;
    BOOL m_bCustomizable;
    CRect m_rcMarker;
    BOOL m_bVerticalMarker;
    BOOL m_bCustomizeDialogPresent;
    BOOL m_bEnteredByMouse;     // tracking started with neither select-first nor keyboard
    int m_nLockRedraw;
    BOOL m_bSelectOnHover;
    CXTPPaintManager* m_pPaintManager;
    CXTPImageManager* m_pImageManager;
    void* m_pBlockingLink;      // when set, the mouse manager's lock count is ignored
    XTPButtonStyle m_buttonStyle;
    CXTPToolTipContext* m_pToolTipContext;
    CXTPCommandBarAnimation* m_pAnimation;
    int m_nLastStatusControl;
    CWnd* m_pOwner;
    BOOL m_bAnimationEnabled;
    BOOL m_bBitmapCache;
    BOOL m_bNoUpdate;           // the idle update leaves the controls alone

private:
    static LONG s_nInstanceCount;
};

// A list of command bars holding one reference each.
class CXTPCommandBarList : public CCmdTarget
{
public:
    CXTPCommandBarList() {}
    virtual ~CXTPCommandBarList();

    int GetCount() const { return (int)m_arrBars.GetSize(); }
    // NULL out of range.
    CXTPCommandBar* GetAt(int nIndex) const;
    // Takes over the caller's reference.
    CXTPCommandBar* Add(CXTPCommandBar* pCommandBar);
    BOOL Lookup(CXTPCommandBar* pCommandBar) const;
    CXTPCommandBar* FindCommandBar(UINT nBarID) const;
    void Remove(CXTPCommandBar* pCommandBar);
    void RemoveAll();

protected:
    CArray<CXTPCommandBar*, CXTPCommandBar*> m_arrBars;
};
