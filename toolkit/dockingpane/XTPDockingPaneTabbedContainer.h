// The tabbed container: the window that shows a group of panes, with a
// caption and its buttons, the selected pane's window and a row of tabs
// when the group has more than one pane.
#pragma once

#include "XTPDockingPaneBase.h"

#include <XTPAccessible.h>
#include <XTPTabManager.h>
#include <afxclip.h>

class CXTPDockingPaneTabbedContainer : public CWnd,
                                       public CXTPDockingPaneBaseContainer,
                                       public CXTPTabManager,
                                       public CXTPAccessible
{
public:
    // Drag-over of another program's data: tabs select their panes.
    class CContainerDropTarget : public COleDropTarget
    {
    public:
        explicit CContainerDropTarget(CXTPDockingPaneTabbedContainer* pContainer) : m_pContainer(pContainer) {}
        virtual DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
        CXTPDockingPaneTabbedContainer* m_pContainer;
    };

    explicit CXTPDockingPaneTabbedContainer(CXTPDockingPaneLayout* pLayout);
    virtual ~CXTPDockingPaneTabbedContainer();

    // Own overridables.
    virtual void SelectPane(CXTPDockingPane* pPane, BOOL bSetFocus = TRUE, BOOL bDelayRedraw = TRUE);
    virtual BOOL IsCaptionVertical() const;
    virtual BOOL IsTabsVisible() const;
    // A press on the caption: focus, then a drag of the whole container.
    virtual void OnCaptionLButtonDown(CPoint ptScreen);
    // Whether a drop at a screen point would tab into this container; the
    // rectangle (the container's in screen coordinates) loses the band tested.
    virtual BOOL CanAttach(CRect& rcClient, CPoint pt) const;
    virtual void OnCaptionButtonClick(CXTPDockingPaneCaptionButton* pButton);
    virtual void InitFrom(CXTPDockingPaneTabbedContainer* pContainer, CXTPPaneToPaneMap* pMap,
                          DWORD dwIgnoredOptions);
    virtual void UpdateTabs();

    void Init(CXTPDockingPane* pPane, CWnd* pFrame);
    void AddPane(CXTPDockingPane* pPane, BOOL bSetFocus = TRUE);
    CXTPDockingPane* GetSelected() const { return m_pSelectedPane; }
    BOOL IsCaptionVisible() const;
    BOOL IsMaximized() const { return m_bMaximized; }
    BOOL IsPaneActive() const { return m_bActive; }
    // Caption -2, a tab's index, or -1.
    int HitTestPane(CPoint point) const;
    // Sets the caption-visible flag (floating windows with several
    // containers show their captions).
    void ShowCaption(BOOL bShow);
    CXTPDockingPanePaintManager* GetDockingPaintManager() const { return CXTPDockingPaneBase::GetPaintManager(); }

    // CXTPDockingPaneBase
    virtual void Invalidate();
    virtual void GetMinMaxInfo(LPMINMAXINFO pMinMaxInfo) const;
    virtual void OnSizeParent(CWnd* pParent, CRect rect, LPVOID lParam);
    virtual void OnFocusChanged();
    virtual void SetDockingSite(CWnd* pFrame);
    virtual void OnChildContainerChanged(CXTPDockingPaneBase* pChild);
    virtual void OnParentContainerChanged(CXTPDockingPaneBase* pContainer);
    virtual BOOL DoPropExchange(CXTPPropExchange* pPX);
    virtual CXTPDockingPaneBase* Clone(CXTPDockingPaneLayout* pLayout, CXTPPaneToPaneMap* pMap,
                                       DWORD dwIgnoredOptions = 0);
    virtual void RemovePane(CXTPDockingPaneBase* pPane);
    virtual BOOL IsCaptionButtonVisible(CXTPDockingPaneCaptionButton* pButton);
    virtual HWND GetPaneHwnd() const { return m_hWnd; }
    // The layout lets go of the container; an empty one loses its window
    // then, even while an accessibility client still holds the object.
    virtual void Release();
    virtual BOOL IsAutoHidden() const;

    // CXTPTabManager
    virtual void Reposition();
    virtual CXTPTabPaintManager* GetPaintManager() const;
    virtual void RedrawControl(LPCRECT lpRect, BOOL bAnimate);
    virtual BOOL DrawIcon(CDC* pDC, CPoint pt, CXTPTabManagerItem* pItem, BOOL bDraw, CSize& szIcon) const;
    // Draws or measures the icon of the pane a tab stands for (FALSE: none).
    static BOOL AFX_CDECL DrawPaneIcon(CDC* pDC, CPoint pt, CXTPTabManagerItem* pItem, BOOL bDraw, CSize& szIcon);
    virtual void OnSelectItem(CXTPTabManagerItem* pItem);
    virtual BOOL CanSelectItem(CXTPTabManagerItem* pItem) const;

    // Accessibility: a page tab list whose child 1 is the selected pane's
    // hosted window and children 2 and up its panes; what a client asks of
    // a child by number its pane answers.
    virtual DWORD InternalQueryInterface(const void* iid, LPVOID* ppvObj);
    virtual LPDISPATCH GetIDispatch(BOOL bAddRef);
    virtual HRESULT GetAccessibleParent(IDispatch** ppdispParent);
    virtual HRESULT GetAccessibleChildCount(long* pcountChildren);
    virtual HRESULT GetAccessibleChild(VARIANT varChild, IDispatch** ppdispChild);
    virtual HRESULT GetAccessibleName(VARIANT varChild, BSTR* pszName);
    virtual HRESULT GetAccessibleDescription(VARIANT varChild, BSTR* pszDescription);
    virtual HRESULT GetAccessibleRole(VARIANT varChild, VARIANT* pvarRole);
    virtual HRESULT GetAccessibleState(VARIANT varChild, VARIANT* pvarState);
    virtual HRESULT GetAccessibleDefaultAction(VARIANT varChild, BSTR* pszDefaultAction);
    virtual HRESULT AccessibleDoDefaultAction(VARIANT varChild);
    virtual HRESULT AccessibleSelect(long flagsSelect, VARIANT varChild);
    virtual HRESULT AccessibleLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight,
                                       VARIANT varChild);
    virtual HRESULT AccessibleNavigate(long navDir, VARIANT varStart, VARIANT* pvarEndUpAt);
    virtual HRESULT AccessibleHitTest(long xLeft, long yTop, VARIANT* pvarChild);
    virtual CCmdTarget* GetAccessibleCmdTarget() { return this; }

    virtual void OnFinalRelease();
    virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const;

protected:
    virtual void PostNcDestroy() {}
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    void CreateContainerWindow();
    // The rectangle inside the caption and the tab row, in client coordinates.
    CRect GetClientPaneRect(BOOL bApply);
    CXTPDockingPane* PaneOfItem(CXTPTabManagerItem* pItem) const;
    // The pane of an accessible child number (2 and up: the panes; 1: the
    // selected pane, whose hosted window that child is), or null.
    CXTPDockingPane* AccessiblePane(long nChild) const;
    // The accessible child number of a pane (0 when it is not one).
    long AccessibleChildOf(CXTPDockingPane* pPane) const;
    // An answer naming a child: its object when it has one, else its number.
    void SetAccessibleChild(VARIANT* pvar, long nChild);
    // Hands a request about a child to the pane that answers it, as
    // fn(pPane, the child the pane is asked about); the container itself
    // answers E_NOTIMPL, a child that is not there E_INVALIDARG.
    template <class Fn>
    HRESULT ForwardToPane(VARIANT varChild, Fn fn);
    // Moves the focus into the container and runs the manager's focus check.
    void FocusContainer();
    void ClosePaneByButton(CXTPDockingPane* pPane);
    BOOL IsMaximizeAllowed() const;
    void SetMaximized(BOOL bMaximized);
    BOOL IsSiblingMaximized() const;
    void EndPress();

    CXTPDockingPane* m_pSelectedPane;
    CXTPDockingPane* m_pTrackingPane;          // the pressed tab's pane
    CArray<CRect, CRect&> m_arrTabRects;       // the tabs' places when the press began
    CContainerDropTarget* m_pDropTarget;
    BOOL m_bCaptionVisible;
    BOOL m_bMaximized;
    int m_nLockReposition;
    int m_nUpdateTabs;

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnMouseLeave();
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg LRESULT OnHelpHitTest(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetObject(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};
