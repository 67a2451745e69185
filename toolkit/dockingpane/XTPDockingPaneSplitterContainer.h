// Splitter containers arrange their children in a row or a column separated
// by splitter bars and share the room out by the children's docking sizes
// within their tracking sizes; the client container stands for the frame's
// client area (the view) inside the arrangement.
#pragma once

#include "XTPDockingPaneBase.h"

class CXTPDockingPaneSplitterContainer;

// The client area of the frame.
class CXTPDockingPaneClientContainer : public CCmdTarget, public CXTPDockingPaneBase
{
public:
    explicit CXTPDockingPaneClientContainer(CXTPDockingPaneLayout* pLayout);

    virtual void GetMinMaxInfo(LPMINMAXINFO pMinMaxInfo) const;
    virtual BOOL IsHidden() const;
    virtual CXTPDockingPaneBase* Clone(CXTPDockingPaneLayout* pLayout, CXTPPaneToPaneMap* pMap,
                                       DWORD dwIgnoredOptions = 0);
    virtual void Release() { InternalRelease(); }
};

// One splitter bar.
class CXTPDockingPaneSplitterWnd : public CWnd
{
public:
    CXTPDockingPaneSplitterWnd();

    // A bar of a container, between two of its children.
    BOOL Create(CXTPDockingPaneSplitterContainer* pContainer, CXTPDockingPaneBase* pFirst,
                CXTPDockingPaneBase* pSecond);
    // One of the bars along the client margin; bHorizontal for the top and bottom bars.
    BOOL Create(CXTPDockingPaneManager* pManager, BOOL bHorizontal);

    // TRUE when the bar lies across its container's axis (the container is
    // vertical, or a top or bottom border bar).
    BOOL IsHorizontal() const { return m_bHorizontal; }
    CXTPDockingPaneSplitterContainer* GetContainer() const { return m_pContainer; }
    CXTPDockingPaneBase* GetFirst() const { return m_pFirst; }
    CXTPDockingPaneBase* GetSecond() const { return m_pSecond; }

    // The screen range the bar's near edge may move in; FALSE when there is none.
    BOOL GetTrackingRange(CRect& rcRange);
    // Sets the neighbours' docking sizes for a bar whose near edge lies at
    // the screen position nPos along the axis.
    void ApplyPosition(int nPos);

protected:
    virtual void PostNcDestroy() {}
    void TrackLive(CPoint ptScreen, const CRect& rcRange);
    void FillUnion(CRect& rcUnion) const;

    CXTPDockingPaneSplitterContainer* m_pContainer;
    CXTPDockingPaneBase* m_pFirst;
    CXTPDockingPaneBase* m_pSecond;
    CXTPDockingPaneManager* m_pManager;
    HCURSOR m_hCursor;
    BOOL m_bHorizontal;

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()
};

class CXTPDockingPaneSplitterContainer : public CCmdTarget, public CXTPDockingPaneBaseContainer
{
public:
    explicit CXTPDockingPaneSplitterContainer(CXTPDockingPaneLayout* pLayout);
    virtual ~CXTPDockingPaneSplitterContainer();

    void Init(CXTPDockingPaneBase* pPane, BOOL bHoriz, CWnd* pFrame);
    void AddPane(CXTPDockingPaneBase* pPane, CXTPDockingPaneBase* pNeighbour = NULL, BOOL bAfter = TRUE);
    void ReplacePane(CXTPDockingPaneBase* pPane, CXTPDockingPaneBase* pReplace);
    BOOL IsHoriz() const { return m_bHoriz; }
    void SetHoriz(BOOL bHoriz) { m_bHoriz = bHoriz; }

    // CXTPDockingPaneBase
    virtual void RemovePane(CXTPDockingPaneBase* pPane);
    virtual void OnChildVisibilityChanged(CXTPDockingPaneBase* pChild);
    virtual void OnParentContainerChanged(CXTPDockingPaneBase* pContainer);
    virtual void GetMinMaxInfo(LPMINMAXINFO pMinMaxInfo) const;
    virtual void OnSizeParent(CWnd* pParent, CRect rect, LPVOID lParam);
    virtual CXTPDockingPaneBase* Clone(CXTPDockingPaneLayout* pLayout, CXTPPaneToPaneMap* pMap,
                                       DWORD dwIgnoredOptions = 0);
    virtual BOOL DoPropExchange(CXTPPropExchange* pPX);
    virtual void Release() { InternalRelease(); }

    // Deletes the bars and makes one between each two neighbouring visible children.
    void RebuildSplitters();
    const CList<CXTPDockingPaneSplitterWnd*, CXTPDockingPaneSplitterWnd*>& GetSplitters() const
    {
        return m_lstSpliters;
    }
    // Writes every visible child's current length along the axis into its
    // docking size, and its own.
    void NormalizeDockingSize();
    // The screen rectangle an object would get next to a child (before it
    // for directions 0 and 2, after it for 1 and 3) once it has left its
    // own place; nothing changed.
    CRect GetDockingRect(CXTPDockingPaneBase* pNeighbour, XTPDockingPaneDirection direction,
                         CXTPDockingPaneBase* pPane) const;
    // The screen rectangle an object would get docked at an edge of the
    // docking area, this being the layout's top container; nothing changed.
    CRect GetEdgeDockingRect(XTPDockingPaneDirection direction, CXTPDockingPaneBase* pPane);
    // The screen rectangle an object gets in a two-member row or column
    // with a target, in the room the target has once the object has left
    // its own place.
    static CRect AFX_CDECL GetSplitRect(CXTPDockingPaneBase* pTarget, XTPDockingPaneDirection direction,
                                        CXTPDockingPaneBase* pPane);

    // The sharing step of the layout: the children's lengths along the axis
    // (negative: fixed at that size), the sum of the free ones and the room
    // left for them. Written back into docking sizes with bWriteBack.
    static void AFX_CDECL ShareRoom(CXTPDockingPaneLayout* pLayout, CXTPDockingPaneBaseList& lst, CRect rect,
                                    BOOL bHoriz, BOOL bWriteBack, LONGLONG& nTotal, LONGLONG& nAvailable,
                                    CXTPDockingPaneBase* pLeaving = NULL);
    // The rectangles the children of the list get, in order, when ShareRoom
    // shares the rectangle out along the axis, nSplitter pixels of bar
    // between each two.
    static void AFX_CDECL ShareOut(CXTPDockingPaneLayout* pLayout, CXTPDockingPaneBaseList& lst, CRect rect,
                                   BOOL bHoriz, BOOL bWriteBack, int nSplitter, CXTPDockingPaneBase* pLeaving,
                                   CArray<CRect, CRect&>& arrRects);

protected:
    void DeleteSplitters();
    // TRUE when every pane a child holds lies in the object, so that the
    // child is left empty once the object is docked elsewhere.
    static BOOL AFX_CDECL IsEmptiedBy(CXTPDockingPaneBase* pChild, CXTPDockingPaneBase* pPane);
    // The object's rectangle (in screen coordinates with bScreen, else in
    // the docking site's) when the list is shared out in the rectangle
    // along the axis given, pLeaving having left its place.
    CRect PlaceInRect(CXTPDockingPaneBaseList& lst, CRect rect, BOOL bHoriz, CXTPDockingPaneBase* pObject,
                      CXTPDockingPaneBase* pLeaving, BOOL bScreen = TRUE) const;
    // The visible children that stay once pLeaving has left its place.
    void GetRemainingPanes(CXTPDockingPaneBaseList& lst, CXTPDockingPaneBase* pLeaving) const;
    // The rectangle (docking site's coordinates) the object has once
    // pLeaving has left its place and the layout has been shared again.
    static CRect AFX_CDECL RectAfterLeaving(const CXTPDockingPaneBase* pObject, CXTPDockingPaneBase* pLeaving);
    // The bounds of the children of the list along this container's axis.
    void CombineMinMaxInfo(CXTPDockingPaneBaseList& lst, CXTPDockingPaneBase* pLeaving,
                           LPMINMAXINFO pMinMaxInfo) const;
    // A child's bounds once pLeaving has left its place.
    static void AFX_CDECL GetMinMaxInfoAfterLeaving(CXTPDockingPaneBase* pChild, CXTPDockingPaneBase* pLeaving,
                                                    LPMINMAXINFO pMinMaxInfo);
    // The visible children of the list, in order.
    void GetVisiblePanes(CXTPDockingPaneBaseList& lst) const;

public:
    BOOL m_bHoriz;
    CList<CXTPDockingPaneSplitterWnd*, CXTPDockingPaneSplitterWnd*> m_lstSpliters;
    BOOL m_bRecalcLayout;   // the layout pass is running
};
