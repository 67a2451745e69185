// The drag-and-dock context: the one object, owned by the manager, that
// carries out interactive moves of panes and containers. A press on a
// caption, a tab or a floating window's caption starts a modal mouse loop
// that shows where the object would land (an inverted outline on the
// desktop, or a translucent preview window, optionally with docking
// stickers) and on release docks, tabs or floats the object. It also snaps
// floating windows to their neighbours while they are moved or sized.
#pragma once

#include "XTPDockingPaneDefines.h"

class CXTPDockingPaneContextStickerWnd;

// The translucent preview of where a dragged object would land.
class CXTPDockingPaneContextAlphaWnd : public CWnd
{
public:
    CXTPDockingPaneContextAlphaWnd() {}

protected:
    virtual void PostNcDestroy() {}
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()
};

class CXTPDockingPaneContext
{
public:
    typedef BOOL(WINAPI* PFNSETLAYEREDWINDOWATTRIBUTES)(HWND, COLORREF, BYTE, DWORD);

    explicit CXTPDockingPaneContext(CXTPDockingPaneManager* pManager);
    virtual ~CXTPDockingPaneContext();

    // Starts a drag of a pane, a tabbed container or a floating window's
    // splitter container from a screen point ((-1, -1): from the keyboard).
    virtual void Drag(CXTPDockingPaneBase* pPane, CPoint pt);
    // Snaps the moving edges of a floating window that is being sized
    // (nSide a WMSZ_ code, lpRect in screen coordinates).
    virtual void AdjustSizingRect(CWnd* pWnd, UINT nSide, LPRECT lpRect);
    // The modal loop.
    virtual void Track();
    // One step of the drag at a screen point.
    virtual void Move(CPoint pt);
    virtual void InitLoop();
    virtual void EndLoop();
    // Draws (or with bRemove takes away) the feedback of the current state.
    virtual void DrawPreview(BOOL bRemove = FALSE);
    // Finds the container, side or tab a drop at a screen point would take.
    virtual void FindDockTarget(CPoint pt);

    // The owner's answers to dropping the dragged object at a side of a
    // container, or tabbing it into one.
    BOOL CanDock(CXTPDockingPaneBase* pContainer, XTPDockingPaneDirection direction);
    BOOL CanAttach(CXTPDockingPaneBase* pContainer);

    // Sets the drag up for an object and a screen point, as a drag starts,
    // without running the loop.
    void BeginDrag(CXTPDockingPaneBase* pPane, CPoint pt);
    // The drop at the end of a drag.
    void Drop();

    CXTPDockingPaneManager* GetManager() const { return m_pManager; }
    BOOL IsDragging() const { return m_pPane != NULL; }
    CRect GetFloatingRect() const { return m_rectDragFrame; }
    CRect GetTargetRect() const { return m_rectContainer; }
    CXTPDockingPaneBase* GetTarget() const { return m_pContainer; }
    XTPDockingPaneDirection GetTargetDirection() const { return m_containDirection; }
    BOOL IsAttach() const { return m_bAttach; }
    CRect GetLastRect() const { return m_rectLast; }
    BOOL IsAlphaContext() const { return m_bUseAlphaContext; }
    BOOL IsStickersShown() const { return m_bUseDockingStickers; }
    CXTPDockingPaneBase* GetStickerContainer() const { return m_pStickyPane; }
    const CList<CXTPDockingPaneContextStickerWnd*, CXTPDockingPaneContextStickerWnd*>& GetStickers() const
    {
        return m_lstStickers;
    }
    int GetStickerStyle() const;

    // Stickers: the updater run by Move, the factory, destroying all of
    // them, and the window region of a kind (built once per drag).
    void UpdateStickers();
    // Makes (or takes from the reusable ones) the stickers for the sticky
    // pane and the top container.
    void UpdateStickerSet(int nStyle);
    CXTPDockingPaneContextStickerWnd* CreateStickerWnd(CRect rc, UINT nKind);
    void DestroyDockingStickers();
    CRgn* GetStickerRegion(UINT nKind);
    void DeleteStickerRegions();

public:
    CXTPDockingPaneContextAlphaWnd m_wndContext;      // the main preview
    CXTPDockingPaneContextAlphaWnd m_wndAttachedTab;  // the tab shown with a tabbing preview
    PFNSETLAYEREDWINDOWATTRIBUTES m_pfnSetLayeredWindowAttributes;
    BOOL m_bUseDockingStickers;
    BOOL m_bUseAlphaContext;
    CRect m_rcStickyPane;                 // the sticker container's screen rectangle
    CXTPDockingPaneBase* m_pStickyPane;   // the container the cross sticker stands for
    CXTPDockingPaneBase* m_pLastStickyPane;
    CList<CXTPDockingPaneContextStickerWnd*, CXTPDockingPaneContextStickerWnd*> m_lstStickers;
    CPoint m_ptLast;                      // the current cursor point
    CPoint m_ptSticky;                    // the press point; 0,0 once the drag really started
    CRect m_rectDragFrame;                // where the object would float
    CRect m_rectDragFrameScreen;          // the floating rectangle moved with the cursor, unclamped
    CXTPDockingPaneManager* m_pManager;
    CXTPDockingPaneBase* m_pPane;         // the dragged object
    BOOL m_bKeyboard;
    BOOL m_bDragRemoved;                  // the outline was taken away (contents shown instead)
    CXTPDockingPaneBase* m_pContainer;    // the drop target
    CRect m_rectContainer;
    XTPDockingPaneDirection m_containDirection;
    BOOL m_bAttach;
    BOOL m_bAttachLast;
    BOOL m_bFloatable;
    BOOL m_bDockable;
    CRect m_rectLast;                     // the last rectangle drawn
    CMap<UINT, UINT, CRgn*, CRgn*> m_mapStickerRegions;
    // While the stickers are made again: the windows of the last set that
    // CreateStickerWnd may take instead of making new ones.
    CList<CXTPDockingPaneContextStickerWnd*, CXTPDockingPaneContextStickerWnd*>* m_plstReusableStickers;
    CDC* m_pDC;                           // the desktop DC of the outline mode

protected:
    // Where the panes of the dragged object sat when the drag began, so
    // that a cancelled drag that already floated them (contents shown while
    // dragging) puts them back.
    struct PANEPLACE
    {
        CXTPDockingPane* pPane;
        CXTPDockingPaneBase* pContainer;
        BOOL bSelected;
    };
    void RememberPlaces();
    void RestorePlaces();
    void ForgetPlaces();

    void CollectPanes(CXTPDockingPaneBase* pPane, CArray<CXTPDockingPane*, CXTPDockingPane*>& arrPanes) const;
    // The window rectangle of the dragged object in screen coordinates.
    CRect GetObjectRect(CXTPDockingPaneBase* pPane) const;
    // The floating window whose content is the dragged object, or null.
    CXTPDockingPaneMiniWnd* GetDraggedMiniWnd() const;
    // Finds the side of a rectangle a point is near (bInside: inside it,
    // else outside its edge) and makes that side of the container the target.
    BOOL FindSide(CRect rc, CPoint pt, CXTPDockingPaneBase* pContainer, BOOL bInside);
    // Whether a tabbed container can take a drop.
    BOOL IsCandidate(CXTPDockingPaneBase* pContainer) const;
    // TRUE when the first window lies above the second in the z-order.
    static BOOL AFX_CDECL IsAbove(HWND hWndFirst, HWND hWndSecond);
    void SnapToNeighbours(CRect& rc);
    // The floating windows other than the dragged one (or pExcept).
    void GetFloatingRects(CArray<CRect, CRect&>& arrRects, CWnd* pExcept) const;
    // The frame of a rectangle (bAttach: with the tab shape) as a region.
    static void AFX_CDECL BuildOutline(CRgn& rgn, CRect rc, BOOL bAttach);
    void DrawOutline(CRect rc, BOOL bAttach);
    void DrawAlphaPreview(CRect rc);
    void ShowPreviewWnd(CXTPDockingPaneContextAlphaWnd& wnd, CRect rc);
    void AcquireDesktopDC();
    void ReleaseDesktopDC();
    // Floats the dragged object at once (contents shown while dragging).
    void FloatNow();
    void HighlightStickers(CXTPDockingPaneContextStickerWnd* pHit, int nPart);

    CArray<PANEPLACE, PANEPLACE&> m_arrPlaces;
    CRect m_rcMiniWndBefore;   // the dragged floating window's rectangle when the drag began
    BOOL m_bFloatedNow;        // the drag floated the object before the drop
    BOOL m_bDesktopLocked;
};
