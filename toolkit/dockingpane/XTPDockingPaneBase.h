// The common base of panes and containers, the child list of containers,
// and the caption buttons that tabbed containers and floating windows show.
#pragma once

#include "XTPDockingPaneDefines.h"

class CXTPPropExchange;

// One caption button ("Close", "Auto Hide", "Maximize", "Restore", "Menu").
class CXTPDockingPaneCaptionButton
{
public:
    CXTPDockingPaneCaptionButton(int nID, CXTPDockingPaneBase* pOwner);
    virtual ~CXTPDockingPaneCaptionButton() {}

    int GetID() const { return m_nID; }
    CRect GetRect() const { return m_rcButton; }
    // Stores a new rectangle and tells the owner when it changed.
    void SetRect(CRect rc);
    BOOL IsVisible();
    // FALSE when the owner's caption pane does not allow actions.
    BOOL IsEnabled() const;
    BOOL IsPressed() const { return m_bPressed; }
    BOOL IsHighlighted() const { return m_bHot; }
    DWORD GetState() const { return m_dwState; }
    void SetState(DWORD dwState) { m_dwState = dwState; }
    CXTPDockingPaneBase* GetOwner() const { return m_pOwner; }
    BOOL PtInRect(POINT pt) const { return m_rcButton.PtInRect(pt) != FALSE; }
    void Redraw();
    // Hover: TRUE when the button became hot.
    BOOL CheckForMouseOver(CPoint pt);
    // The press loop; TRUE when released over the button. Points are in
    // the window's client coordinates, or window coordinates with
    // bWindowCoordinates.
    BOOL Click(CWnd* pWnd, CPoint pt, BOOL bWindowCoordinates = FALSE);

public:
    CRect m_rcButton;
    CXTPDockingPaneBase* m_pOwner;
    int m_nID;
    BOOL m_bPressed;
    BOOL m_bHot;
    DWORD m_dwState;   // Auto Hide: 3 auto-hidden, 1 docked, 0 floating; 2 draws the pin lying
};

class CXTPDockingPaneCaptionButtons : public CArray<CXTPDockingPaneCaptionButton*, CXTPDockingPaneCaptionButton*>
{
public:
    ~CXTPDockingPaneCaptionButtons();
    // Hover over every button; TRUE when one became hot.
    BOOL CheckForMouseOver(CPoint pt);
    CXTPDockingPaneCaptionButton* HitTest(CPoint pt) const;
    CXTPDockingPaneCaptionButton* Find(int nID) const;
};

// The base of every pane and container.
class CXTPDockingPaneBase
{
public:
    CXTPDockingPaneBase(XTPDockingPaneType type, CXTPDockingPaneLayout* pLayout);
    virtual ~CXTPDockingPaneBase();

    virtual void Invalidate();
    // Not null when this object is the pane, or (containers) the position
    // of the child branch that holds it.
    virtual POSITION ContainsPane(CXTPDockingPaneBase* pPane) const;
    virtual void FindPanes(XTPDockingPaneType type, CXTPDockingPaneBaseList* pList);
    virtual void GetMinMaxInfo(LPMINMAXINFO pMinMaxInfo) const;
    virtual BOOL IsHidden() const;
    virtual CWnd* GetDockingSite() const { return m_pDockingSite; }
    // The layout pass: lParam is the frame's AFX_SIZEPARENTPARAMS (a null
    // deferred-positioning handle only measures) or null.
    virtual void OnSizeParent(CWnd* pParent, CRect rect, LPVOID lParam);
    virtual void OnFocusChanged() {}
    virtual void SetDockingSite(CWnd* pFrame) { m_pDockingSite = pFrame; }
    virtual void SetParentContainer(CXTPDockingPaneBase* pContainer) { m_pParentContainer = pContainer; }
    virtual void OnChildVisibilityChanged(CXTPDockingPaneBase* pChild) {}
    virtual void OnChildContainerChanged(CXTPDockingPaneBase* pChild);
    virtual void OnParentContainerChanged(CXTPDockingPaneBase* pContainer) {}
    // Stores or reads the object; on reading FALSE rejects it.
    virtual BOOL DoPropExchange(CXTPPropExchange* pPX);
    virtual CXTPDockingPaneBase* Clone(CXTPDockingPaneLayout* pLayout, CXTPPaneToPaneMap* pMap,
                                       DWORD dwIgnoredOptions = 0);
    virtual void RemovePane(CXTPDockingPaneBase* pPane) {}
    virtual void OnCaptionButtonRectChanged(CXTPDockingPaneCaptionButton* pButton) {}
    virtual BOOL IsCaptionButtonVisible(CXTPDockingPaneCaptionButton* pButton) { return TRUE; }
    virtual HWND GetPaneHwnd() const { return NULL; }
    virtual void Release() = 0;
    virtual BOOL IsAutoHidden() const { return FALSE; }

    XTPDockingPaneType GetType() const { return m_type; }
    CXTPDockingPaneBase* GetContainer() const { return m_pParentContainer; }
    CXTPDockingPaneManager* GetDockingPaneManager() const;
    CXTPDockingPanePaintManager* GetPaintManager() const;
    CRect GetPaneWindowRect() const { return m_rcWindow; }
    // The last rectangle in screen coordinates.
    void GetScreenRect(LPRECT lpRect) const;
    CXTPDockingPaneCaptionButtons* GetCaptionButtons() const { return m_pCaptionButtons; }
    // The docking size, kept within the stored range.
    void SetDockingSize(LONG cx, LONG cy);

public:
    CSize m_szDocking;
    CXTPDockingPaneLayout* m_pLayout;
    CXTPDockingPaneBase* m_pParentContainer;
    CWnd* m_pDockingSite;
    XTPDockingPaneType m_type;
    CRect m_rcWindow;
    CXTPDockingPaneCaptionButtons* m_pCaptionButtons;
    LONGLONG m_nLength;   // work value of the splitter layout
    int m_nIndex;         // save number of the stored format

private:
    CXTPDockingPaneBase(const CXTPDockingPaneBase&);
    CXTPDockingPaneBase& operator=(const CXTPDockingPaneBase&);
};

// A container: a list of children.
class CXTPDockingPaneBaseContainer : public CXTPDockingPaneBase
{
public:
    CXTPDockingPaneBaseContainer(XTPDockingPaneType type, CXTPDockingPaneLayout* pLayout)
        : CXTPDockingPaneBase(type, pLayout), m_lstPanes(10) {}

    virtual POSITION ContainsPane(CXTPDockingPaneBase* pPane) const;
    virtual void FindPanes(XTPDockingPaneType type, CXTPDockingPaneBaseList* pList);
    virtual BOOL IsHidden() const;

    CXTPDockingPaneBase* GetFirstPane() const { return m_lstPanes.IsEmpty() ? NULL : m_lstPanes.GetHead(); }
    CXTPDockingPaneBase* GetLastPane() const { return m_lstPanes.IsEmpty() ? NULL : m_lstPanes.GetTail(); }
    const CXTPDockingPaneBaseList& GetPanes() const { return m_lstPanes; }
    BOOL IsEmpty() const { return m_lstPanes.IsEmpty(); }

public:
    CXTPDockingPaneBaseList m_lstPanes;
};

// Draws the windows waiting to be painted. FALSE when a WM_QUIT was found
// (it is posted again for the caller's loop to see).
BOOL AFX_CDECL XTPDockingPaneDispatchPaints();

// The next message of a tracking loop, after the paint messages waiting
// (so the windows under an outline or a moved bar are drawn first). FALSE
// for WM_QUIT, which is posted again for the program's own loop.
BOOL AFX_CDECL XTPDockingPaneGetLoopMessage(MSG* pMsg);

// Puts a child window at a rectangle of its parent's client area, shown and
// (bBottom) behind its siblings; nothing happens when it is already there.
void AFX_CDECL XTPDockingPanePlaceWindow(HWND hWnd, const CRect& rc, BOOL bBottom);
