// The frame's status bar: a control bar over the common status-bar control
// whose panes are CXTPStatusBarPane objects. It keeps the control's parts in
// step with the panes, updates panes through the command-UI mechanism, shows
// pane tooltips, answers the frame's status texts (pane id 0), and, with a
// paint manager, paints itself through the paint manager.
#pragma once

#include "XTPCommon.h"
#include <afxtempl.h>

class CXTPStatusBar;
class CXTPCommandBars;
class CXTPPaintManager;
class CXTPToolTipContext;
class CXTPImageManagerIcon;

// Pane styles (beyond the control's own SBT_* bits in the low word).
#define XTP_SBPS_NOBORDERS 0x00000100
#define XTP_SBPS_POPOUT 0x00000200
#define XTP_SBPS_DISABLED 0x04000000
#define XTP_SBPS_STRETCH 0x08000000

class CXTPStatusBarPane : public CCmdTarget
{
    DECLARE_DYNAMIC(CXTPStatusBarPane)
public:
    CXTPStatusBarPane();
    virtual ~CXTPStatusBarPane();

    // The pane's own font, else its bar's.
    virtual CFont* GetTextFont();
    // The icon of the icon id (the bar's command bars' image manager, else
    // the global one); NULL without an icon id.
    virtual CXTPImageManagerIcon* GetImage();
    // Draws the icon and text through the paint manager.
    virtual void Draw(CDC* pDC, CRect rcItem);

    CRect GetPadding() const { return m_rcPadding; }
    void SetPadding(int cxLeft, int cyTop, int cxRight, int cyBottom);
    CString GetText() const { return m_strText; }
    void SetText(LPCTSTR lpszText);
    UINT GetID() const { return m_nID; }
    CXTPStatusBar* GetStatusBar() const { return m_pStatusBar; }
    BOOL IsVisible() const { return m_bVisible; }
    void SetVisible(BOOL bVisible);
    COLORREF GetTextColor() const { return m_clrText; }
    void SetTextColor(COLORREF clr);
    COLORREF GetBackgroundColor() const { return m_clrBackground; }
    void SetBackgroundColor(COLORREF clr);
    int GetTextAlignment() const { return m_nAlignment; }
    void SetTextAlignment(int nAlign);
    CString GetTooltip() const { return m_strToolTip; }
    void SetTooltip(LPCTSTR lpszTooltip) { m_strToolTip = lpszTooltip; }
    UINT GetStyle() const { return m_nStyle; }
    int GetWidth() const { return m_cxText; }
    void SetWidth(int nWidth);
    int GetIconId() const { return m_nIconId; }
    void SetIconId(int nIconId);
    void SetTextFont(CFont* pFont);
    // A window placed over the pane; with bAutoDelete the pane deletes the
    // window's object when it destroys the window.
    void SetChildWindow(CWnd* pWnd, BOOL bAutoDelete = FALSE);
    CWnd* GetChildWindow() const { return CWnd::FromHandlePermanent(m_hWndPane); }
    int GetIndex() const { return m_nIndex; }
    int GetVisibleIndex() const { return m_nVisibleIndex; }

    // Pending text bit of the flags.
    enum { xtpTextPending = 1 };

public:
    UINT m_nID;
    int m_cxText;
    UINT m_nStyle;
    UINT m_nFlags;
    CString m_strText;
    BOOL m_bVisible;
    COLORREF m_clrText;
    COLORREF m_clrBackground;
    CString m_strToolTip;
    HWND m_hWndPane;
    BOOL m_bAutoDeleteWnd;
    int m_nAlignment;
    CXTPStatusBar* m_pStatusBar;
    int m_nIndex;
    int m_nVisibleIndex;
    CFont m_fntText;
    int m_nIconId;
    CRect m_rcPadding;

    friend class CXTPStatusBar;
};

class CXTPStatusBar : public CControlBar
{
    DECLARE_DYNAMIC(CXTPStatusBar)
public:
    // The command-UI record of one pane.
    class CStatusCmdUI : public CCmdUI
    {
    public:
        virtual void Enable(BOOL bOn = TRUE);
        virtual void SetCheck(int nCheck = 1);
        virtual void SetText(LPCTSTR lpszText);
    };

    CXTPStatusBar();
    virtual ~CXTPStatusBar();

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                UINT nID = AFX_IDW_STATUS_BAR);
    BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = 0,
                  DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, UINT nID = AFX_IDW_STATUS_BAR);

    // One pane per id; a non-zero id takes the text of its string resource,
    // and a missing string fails (the panes made so far stay).
    BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);

    CXTPStatusBarPane* GetPane(int nIndex) const;
    int GetPaneCount() const { return (int)m_arrPanes.GetSize(); }
    int CommandToIndex(UINT nIDFind) const;
    int GetVisiblePaneCount() const;
    CXTPStatusBarPane* FindPane(UINT nID) const { return GetPane(CommandToIndex(nID)); }
    CXTPStatusBarPane* AddIndicator(UINT nID, int nIndex = -1);
    BOOL RemoveIndicator(UINT nID);
    void RemoveAll();

    void GetItemRect(int nIndex, LPRECT lpRect) const;
    CString GetPaneText(int nIndex) const;
    BOOL SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate = TRUE);
    UINT GetPaneStyle(int nIndex) const;
    void SetPaneStyle(int nIndex, UINT nStyle);
    void SetPaneWidth(int nIndex, int cxText);
    void UpdateAllPanes(BOOL bUpdateRects, BOOL bUpdateText);

    // NULL while the common control draws; else the command bars' paint
    // manager, or the global one.
    CXTPPaintManager* GetPaintManager() const;
    void SetDrawWithPaintManager(BOOL bDraw);
    BOOL IsDrawWithPaintManager() const { return m_bDrawWithPaintManager; }
    void SetCommandBars(CXTPCommandBars* pCommandBars) { m_pCommandBars = pCommandBars; }
    CXTPCommandBars* GetCommandBars() const { return m_pCommandBars; }
    CXTPToolTipContext* GetToolTipContext() const { return m_pToolTipContext; }
    CFont* GetFont() { return &m_fontStatus; }
    int GetMinHeight() const { return m_nMinHeight; }
    // Whether disabled panes still show their text (the paint themes read it).
    BOOL GetDrawDisabledText() const { return m_bDrawDisabledText; }
    void SetDrawDisabledText(BOOL bDraw) { m_bDrawDisabledText = bDraw; }
    BOOL HasSizeGripper() const { return (GetStyle() & SBARS_SIZEGRIP) != 0; }

    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const;
    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler);
    virtual void CalcInsideRect(CRect& rect, BOOL bHorz) const;
    virtual void OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle);
    virtual void DrawPaneEntry(CDC* pDC, int nIndex, CRect rcItem);
    virtual void DrawStretchGripper(CDC* pDC, CRect rcClient);

protected:
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // The mouse messages of the bar's child windows (controls placed over
    // panes) reach the tooltip context here, so their tips show too.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // Measures the pane's text in its font, plus padding and icon.
    int CalcPaneWidth(CXTPStatusBarPane* pPane) const;
    BOOL ParentIsMaximized() const;
    // Fills the bar, its pane borders and entries, and the size grip.
    void DrawBar(CDC* pDC, CXTPPaintManager* pPaintManager);

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnNcPaint();
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg void OnWindowPosChanging(WINDOWPOS* lpWndPos);
    afx_msg void OnWindowPosChanged(WINDOWPOS* lpWndPos);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetTextLength(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetMinHeight(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnFrameDrawStatusBar(WPARAM wParam, LPARAM lParam);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

public:
    CArray<CXTPStatusBarPane*, CXTPStatusBarPane*> m_arrPanes;
    int m_nMinHeight;
    CFont m_fontStatus;
    BOOL m_bShowSizeGripper;    // kept for derived bars; not read here
    CXTPCommandBars* m_pCommandBars;
    BOOL m_bDrawWithPaintManager;
    CXTPToolTipContext* m_pToolTipContext;
    HFONT m_hControlFont;       // the control's copy of the bar's font
    BOOL m_bDrawDisabledText;
};
