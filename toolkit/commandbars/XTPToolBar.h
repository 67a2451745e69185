// The dockable toolbar: it docks in a dock bar of the frame, floats in a
// window of its own, or sits as a plain child window where there are no
// command bars. It lays its controls out in rows for its position, adds an
// expand button for what does not fit, a close button on a floating bar's
// caption, and loads its buttons from a toolbar resource.
#pragma once

#include "XTPCommandBar.h"
#include "XTPControlPopup.h"

class CXTPDockBar;
class CXTPDockContext;

class CXTPToolBar : public CXTPCommandBar
{
    DECLARE_DYNCREATE(CXTPToolBar)
public:
    // The end-of-bar button: its popup holds the controls that do not fit
    // and the Add or Remove Buttons list.
    class CControlButtonExpand : public CXTPControlPopup
    {
        DECLARE_DYNCREATE(CControlButtonExpand)
    public:
        CControlButtonExpand();
        virtual void SetRect(CRect rcControl);
        virtual void Draw(CDC* pDC);
        virtual CSize GetSize(CDC* pDC);
        virtual BOOL OnSetPopup(BOOL bPopup);
        virtual BOOL IsCaptionVisible() const { return FALSE; }
        virtual BOOL IsCustomizeMovable() const { return FALSE; }
        BOOL HasHiddenControls() const { return m_bHiddenControls; }

        BOOL m_bHiddenControls;
    };

    // The close button on a floating bar's caption.
    class CControlButtonHide : public CXTPControlButton
    {
        DECLARE_DYNCREATE(CControlButtonHide)
    public:
        CControlButtonHide();
        virtual void OnExecute();
        virtual void Draw(CDC* pDC);
        virtual void SetBeginGroup(BOOL) {}
        virtual BOOL IsCustomizeMovable() const { return FALSE; }
    };

    // An entry of the Add or Remove Buttons list: shows or hides one
    // control of a bar, or (id 9123) resets the bar.
    class CControlButtonCustomize : public CXTPControlButton
    {
        DECLARE_DYNCREATE(CControlButtonCustomize)
    public:
        CControlButtonCustomize();
        virtual ~CControlButtonCustomize();
        virtual void OnExecute();
        virtual CSize GetSize(CDC* pDC);
        virtual void Draw(CDC* pDC);
        void SetTarget(CXTPControl* pControl);
        void SetTarget(CXTPCommandBar* pBar);

        CXTPControl* m_pTargetControl;  // one reference
        CXTPCommandBar* m_pTargetBar;   // not owned
    };

    CXTPToolBar();
    virtual ~CXTPToolBar();

    // A toolbar used without command bars (a child of a dialog or frame).
    BOOL CreateToolBar(DWORD dwStyle, CWnd* pParentWnd, UINT nID = AFX_IDW_TOOLBAR);

    virtual BOOL LoadToolBar(UINT nIDResource, BOOL bLoadIcons = TRUE);
    virtual void SetVisible(BOOL bVisible);
    virtual BOOL IsVisible() const { return m_bVisible; }
    virtual BOOL SetPosition(XTPBarPosition barPosition);
    virtual void OnRecalcLayout();
    virtual void DoPropExchange(CXTPPropExchange* pPX);
    virtual CRect GetBorders();
    virtual int OnHookKeyDown(UINT nChar, LPARAM lParam);
    virtual CSize CalcDynamicLayout(int nLength, DWORD dwMode);
    virtual void Copy(CXTPCommandBar* pCommandBar, BOOL bRecursive = FALSE);
    virtual CXTPCommandBar* Clone(BOOL bRecursive = FALSE);
    // Added, in this order.
    virtual CSize CalcDockingLayout(int nLength, DWORD dwMode, int nWidth = 0);
    virtual void ResetToolBar(BOOL bShowWarningMessage = FALSE);
    virtual BOOL CreateBarWindow(CWnd* pFrame, BOOL bFloating);
    virtual void OnUpdateCmdUI(CWnd* pTarget, BOOL bDisableIfNoHndler);
    virtual BOOL IsChanged() const;
    virtual void DoPropExchangeState(CXTPPropExchange* pPX) {}

    // Print preview: hides the bar and puts it back.
    void OnSetPreviewMode(BOOL bPreview);

    CXTPDockBar* GetDockBar() const { return m_pDockBar; }
    void SetDockBar(CXTPDockBar* pDockBar) { m_pDockBar = pDockBar; }
    CXTPDockContext* GetDockContext() const { return m_pDockContext; }
    BOOL IsBuiltIn() const { return m_bBuiltIn; }
    void SetBuiltIn(BOOL bBuiltIn) { m_bBuiltIn = bBuiltIn; }
    BOOL IsTearOff() const { return m_bTearOff; }
    void SetTearOff(BOOL bTearOff) { m_bTearOff = bTearOff; }
    BOOL IsCloseable() const { return m_bCloseable; }
    void SetCloseable(BOOL bCloseable) { m_bCloseable = bCloseable; }
    BOOL IsContextMenuPresent() const { return m_bContextMenuPresent; }
    void SetContextMenuPresent(BOOL bPresent) { m_bContextMenuPresent = bPresent; }
    void ShowExpandButton(BOOL bShow) { m_bShowExpandButton = bShow; }
    BOOL IsFloating() const { return m_barPosition == xtpBarFloating; }
    // The dock rectangle and point remembered for the next docking or float.
    CRect GetMRUDockRect() const { return m_rcMRUDock; }
    void SetMRUDockRect(CRect rc) { m_rcMRUDock = rc; }
    XTPBarPosition GetMRUDockPosition() const { return m_mruDockPosition; }
    void SetMRUDockPosition(XTPBarPosition pos) { m_mruDockPosition = pos; }
    CPoint GetMRUFloatPoint() const { return m_ptMRUFloat; }
    void SetMRUFloatPoint(CPoint pt) { m_ptMRUFloat = pt; }

    // The expand button, found or added (temporary, hidden).
    CControlButtonExpand* GetExpandButton(BOOL bCreate);
    // The Add or Remove Buttons list of this bar into a popup.
    void BuildCustomizePopup(CXTPCommandBar* pPopupBar);

protected:
    BOOL ConfirmReset() const;
    void AfterReset();
    CSize CalcLayout(int nLength, DWORD dwMode, const CRect& rcBorders, int nWidth);
    CControlButtonHide* GetHideButton(BOOL bCreate);
    BOOL ShowExpandButtonAlways() const;

    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnFloatStatus(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnNcCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnTimer(UINT_PTR nIDEvent);

    // A hidden floating bar shows again once its frame is in front.
    BOOL ShowIfFrameInFront();

    DECLARE_MESSAGE_MAP()

public:
    CXTPDockBar* m_pDockBar;
    CXTPDockContext* m_pDockContext;
    BOOL m_bBuiltIn;
    BOOL m_bTearOff;
    BOOL m_bPreviewVisible;
    BOOL m_bPreviewMode;
    BOOL m_bShowExpandButton;
    BOOL m_bCloseable;
    BOOL m_bContextMenuPresent;
    BOOL m_bInRecalcLayout;
    int m_nShowChecks;   // checks left for the frame in front after it was activated
    CRect m_rcMRUDock;
    XTPBarPosition m_mruDockPosition;
    CPoint m_ptMRUFloat;
    UINT m_nIDResource;         // the toolbar resource loaded (for reset)
};
