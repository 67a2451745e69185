// A dock bar: the child window along one edge of the frame that holds
// toolbars in rows. It keeps their order, inserts a dragged toolbar at the
// row under the drop point, lays its rows out when the frame sizes its
// control bars and wraps toolbars that do not fit onto further lines.
#pragma once

#include "XTPCommandBarsDefines.h"
#include <afxtempl.h>
#include <afxext.h>

class CXTPToolBar;
class CXTPCommandBars;

class CXTPDockBar : public CWnd
{
    DECLARE_DYNCREATE(CXTPDockBar)
public:
    // One toolbar of a line being laid out.
    struct DOCK_INFO
    {
        DOCK_INFO() : pBar(NULL), nIndex(0), nMinWidth(0), nTotlaMinWidth(0) {}
        DOCK_INFO(CXTPToolBar* p, CRect rc, int nIndexList)
            : pBar(p), rcBar(rc), rcMRUPos(rc), nIndex(nIndexList), nMinWidth(0), nTotlaMinWidth(0) {}
        CXTPToolBar* pBar;
        CRect rcBar;
        CRect rcMRUPos;         // the rectangle as first computed
        int nIndex;             // the bar's index in the bar list
        int nMinWidth;
        int nTotlaMinWidth;     // the minimums of the bars left of it
    };
    class CDockInfoArray : public CArray<DOCK_INFO, DOCK_INFO&>
    {
    public:
        void Serialize(CArchive& ar);
        void Sort();
    };
    typedef CArray<CXTPToolBar*, CXTPToolBar*> CToolBarArray;

    explicit CXTPDockBar(CXTPCommandBars* pCommandBars = NULL);
    virtual ~CXTPDockBar();

    virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID);

    // 0 top, 1 bottom, 2 left, 3 right.
    XTPBarPosition GetPosition() const;
    BOOL IsHorizontal() const { return (m_dwStyle & 0xA000) != 0; }
    BOOL IsVertical() const { return (m_dwStyle & 0x5000) != 0; }
    DWORD GetDockStyle() const { return m_dwStyle; }
    CXTPCommandBars* GetCommandBars() const { return m_pCommandBars; }
    void SetCommandBars(CXTPCommandBars* pCommandBars) { m_pCommandBars = pCommandBars; }

    // The bar list: a NULL entry ends a row. Out of range: invalid argument.
    int GetDockedCount() const { return (int)m_arrBars.GetSize(); }
    CXTPToolBar* GetDockedBar(int nIndex) const;
    int FindBar(CXTPToolBar* pBar, int nIndexExclude = -1) const;
    // Docks the bar (rectangle in screen coordinates, or NULL to append a row).
    void DockCommandBar(CXTPToolBar* pBar, LPCRECT lpRect = NULL);
    BOOL RemoveCommandBar(CXTPToolBar* pBar, int nIndexExclude = -1);
    // The visible bars of the row holding nIndex, by their leading edge.
    void GetVisibleBarsInRow(int nIndex, CToolBarArray& arrBars) const;
    // Lays the rows out for the frame's WM_SIZEPARENT.
    LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    // Lays all rows out; the result is the dock bar's size.
    CSize CalcDynamicLayout(int nLength, DWORD dwMode, AFX_SIZEPARENTPARAMS* lpLayout);

protected:
    int Insert(CXTPToolBar* pBar, CRect rc, CPoint pt);
    int AdjustRow(CToolBarArray& arrRow, CPoint pt, int nLength, BOOL bHorz, AFX_SIZEPARENTPARAMS* lpLayout,
                  int& nRemove);
    int AdjustRowWithWrap(CToolBarArray& arrRow, CPoint pt, int nLength, BOOL bHorz, AFX_SIZEPARENTPARAMS* lpLayout);
    DWORD GetBarMode(CXTPToolBar* pBar, BOOL bHorz) const;
    BOOL IsMenuBarRowLocked() const;

    afx_msg void OnPaint();
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg LRESULT OnSizeParentMsg(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

public:
    DWORD m_dwStyle;
    CArray<CXTPToolBar*, CXTPToolBar*> m_arrBars;
    CXTPCommandBars* m_pCommandBars;

protected:
    // While the rows are committed: the one batch that moves every bar
    // (begun only once a bar has to move), and the bars to redraw once the
    // batch has moved them.
    HDWP m_hdwpBars;
    BOOL m_bBatchMoves;
    BOOL m_bBatchBegun;
    BOOL m_bOneByOne;
    CToolBarArray m_arrMoved;
};

// A rebar that hosts toolbars as bands.
class CXTPReBar : public CReBar
{
    DECLARE_DYNAMIC(CXTPReBar)
public:
    CXTPReBar();

    BOOL AddToolBar(CXTPToolBar* pToolBar, DWORD dwStyle = 129);
    // The band of the toolbar, searched from the last; -1 none.
    int FindBand(CXTPToolBar* pToolBar) const;
    void DeleteToolBar(CXTPToolBar* pToolBar);
};
