// Control bars: the toolbar, the status bar, the rebar and the dialog bar.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>

#include <vector>

// Resource type of toolbar layouts: 16-bit words
//     version (1), image width, image height, button count, ids... (0 = separator)
#ifndef RT_TOOLBAR
#define RT_TOOLBAR MAKEINTRESOURCE(241)
#endif

// Toolbar button styles and states in one value: style in the low word, state
// in the high word.  TBBS_DISABLED is the inverse of TBSTATE_ENABLED.
#define TBBS_BUTTON        MAKELONG(TBSTYLE_BUTTON, 0)
#define TBBS_SEPARATOR     MAKELONG(TBSTYLE_SEP, 0)
#define TBBS_CHECKBOX      MAKELONG(TBSTYLE_CHECK, 0)
#define TBBS_GROUP         MAKELONG(TBSTYLE_GROUP, 0)
#define TBBS_CHECKGROUP    (TBBS_GROUP | TBBS_CHECKBOX)
#define TBBS_DROPDOWN      MAKELONG(TBSTYLE_DROPDOWN, 0)
#define TBBS_AUTOSIZE      MAKELONG(TBSTYLE_AUTOSIZE, 0)
#define TBBS_NOPREFIX      MAKELONG(TBSTYLE_NOPREFIX, 0)
#define TBBS_CHECKED       MAKELONG(0, TBSTATE_CHECKED)
#define TBBS_PRESSED       MAKELONG(0, TBSTATE_PRESSED)
#define TBBS_DISABLED      MAKELONG(0, TBSTATE_ENABLED)
#define TBBS_INDETERMINATE MAKELONG(0, TBSTATE_INDETERMINATE)
#define TBBS_HIDDEN        MAKELONG(0, TBSTATE_HIDDEN)
#define TBBS_WRAPPED       MAKELONG(0, TBSTATE_WRAP)

// Status-bar pane styles.
#define SBPS_NORMAL     0x0000
#define SBPS_NOBORDERS  SBT_NOBORDERS
#define SBPS_POPOUT     SBT_POPOUT
#define SBPS_OWNERDRAW  SBT_OWNERDRAW
#define SBPS_DISABLED   0x04000000
#define SBPS_STRETCH    0x08000000

// ---------------------------------------------------------------------------
// CToolBar over the system's toolbar control

// What a toolbar resource holds, once checked.
struct CToolBarResourceInfo
{
    CSize sizeImage;          // image width and height
    std::vector<UINT> ids;    // command ids, 0 for separators
};

class CToolBar : public CControlBar
{
    DECLARE_DYNAMIC(CToolBar)
public:
    CToolBar();
    virtual ~CToolBar();

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP,
                UINT nID = AFX_IDW_TOOLBAR);
    // dwCtrlStyle: styles of the control (TBSTYLE_*); dwStyle: window and
    // CBRS_* styles.
    BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = TBSTYLE_FLAT,
                  DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP,
                  CRect rcBorders = CRect(0, 0, 0, 0), UINT nID = AFX_IDW_TOOLBAR);

    // Reads a toolbar resource (type 241) and the bitmap of the same name:
    // buttons, image size and images.  FALSE for a missing or broken
    // resource, leaving the bar as it was.
    BOOL LoadToolBar(LPCTSTR lpszResourceName);
    BOOL LoadToolBar(UINT nIDResource);
    // Checks a raw toolbar resource (version 1, sizes, a count matching the
    // data) and reads it.  FALSE, with info untouched, for a broken block.
    static BOOL PASCAL ParseToolBarResource(const void* pData, DWORD nSize, CToolBarResourceInfo& info);

    // Images from a bitmap strip (grey 0xC0C0C0 is transparent).
    BOOL LoadBitmap(LPCTSTR lpszResourceName);
    BOOL LoadBitmap(UINT nIDResource);
    // Takes the bitmap over.
    BOOL SetBitmap(HBITMAP hbmImageWell);
    void SetSizes(SIZE sizeButton, SIZE sizeImage);
    void SetHeight(int cyHeight);
    // Replaces all buttons; id 0 makes a separator.  A null array makes
    // nIDCount separators to be filled in with SetButtonInfo.
    BOOL SetButtons(const UINT* lpIDArray, int nIDCount);

    int CommandToIndex(UINT nIDFind) const;   // -1 when absent
    UINT GetItemID(int nIndex) const;          // ID_SEPARATOR for separators and bad indexes
    virtual void GetItemRect(int nIndex, LPRECT lpRect) const;
    UINT GetButtonStyle(int nIndex) const;     // TBBS_* (0 for a bad index)
    void SetButtonStyle(int nIndex, UINT nStyle);
    void GetButtonInfo(int nIndex, UINT& nID, UINT& nStyle, int& iImage) const;
    void SetButtonInfo(int nIndex, UINT nID, UINT nStyle, int iImage);
    int GetCount() const;

    // The underlying control (the same window).
    CToolBarCtrl& GetToolBarCtrl() const;

    // The tooltip of a command: the second '\n' field of its string, at most
    // 79 characters.  Empty when there is none.
    static CString PASCAL GetToolTipText(UINT nID);
    static CString PASCAL ToolTipFromString(LPCTSTR lpszFullText);

    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    virtual CSize CalcDynamicLayout(int nLength, DWORD nMode);
    // Enables and checks each button by its command's update handler.
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler);
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

protected:
    CSize m_sizeButton;
    CSize m_sizeImage;
    CImageList m_imageList;
    mutable CToolBarCtrl m_wndCtrl;   // wraps m_hWnd without owning it

    BOOL GetButton(int nIndex, TBBUTTON* pButton) const;
    void SetButton(int nIndex, const TBBUTTON* pButton);
    CSize CalcButtonsSize() const;
};

// ---------------------------------------------------------------------------
// CStatusBar over the system's status-bar control

class CStatusBar : public CControlBar
{
    DECLARE_DYNAMIC(CStatusBar)
public:
    CStatusBar();
    virtual ~CStatusBar();

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                UINT nID = AFX_IDW_STATUS_BAR);
    BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = 0,
                  DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, UINT nID = AFX_IDW_STATUS_BAR);

    // One pane per id; a pane shows the string of its id (ID_SEPARATOR: an
    // empty stretching pane).  FALSE when a string is missing: the bar, and
    // so its frame, must not be created without its indicator texts.
    BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);

    int CommandToIndex(UINT nIDFind) const;   // -1 when absent
    UINT GetItemID(int nIndex) const;
    void GetItemRect(int nIndex, LPRECT lpRect) const;
    int GetCount() const { return (int)m_panes.size(); }

    CString GetPaneText(int nIndex) const;
    void GetPaneText(int nIndex, CString& rString) const;
    BOOL SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate = TRUE);
    void GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const;
    void SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth);
    UINT GetPaneStyle(int nIndex) const;
    void SetPaneStyle(int nIndex, UINT nStyle);

    CStatusBarCtrl& GetStatusBarCtrl() const;

    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    // Updates each pane (the key indicators) through its command.
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler);
    // WM_SETTEXT/WM_GETTEXT reach pane 0; WM_SIZE lays the panes out.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

protected:
    struct Pane
    {
        UINT nID;
        UINT nStyle;
        int cxText;
        CString strText;
    };
    std::vector<Pane> m_panes;
    mutable CStatusBarCtrl m_wndCtrl;   // wraps m_hWnd without owning it

    void UpdateAllPanes(BOOL bUpdateRects, BOOL bUpdateText);
    void ShowPaneText(int nIndex);
    int TextWidth(LPCTSTR lpszText) const;
};

// ---------------------------------------------------------------------------
// CReBar: a rebar control holding bars as bands (minimal).

class CReBar : public CControlBar
{
    DECLARE_DYNAMIC(CReBar)
public:
    CReBar();
    virtual ~CReBar();

    BOOL Create(CWnd* pParentWnd, DWORD dwCtrlStyle = RBS_BANDBORDERS,
                DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | CBRS_TOP,
                UINT nID = AFX_IDW_REBAR);
    // Adds pBar as a new last band.
    BOOL AddBar(CWnd* pBar, LPCTSTR pszText = NULL, CBitmap* pbmp = NULL,
                DWORD dwStyle = RBBS_GRIPPERALWAYS | RBBS_FIXEDBMP);
    BOOL AddBar(CWnd* pBar, COLORREF clrFore, COLORREF clrBack, LPCTSTR pszText = NULL,
                DWORD dwStyle = RBBS_GRIPPERALWAYS);
    int GetBandCount() const;

    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler);

protected:
    BOOL AddBarBand(CWnd* pBar, REBARBANDINFO& rbbi);

    // The rebar's height changed (a band moved to another row, rows
    // wrapped): the frame lays its bars out again.
    afx_msg void OnHeightChange(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()
};

// ---------------------------------------------------------------------------
// CDialogBar: a bar made from a dialog template (minimal).

class CDialogBar : public CControlBar
{
    DECLARE_DYNAMIC(CDialogBar)
public:
    CDialogBar();
    virtual ~CDialogBar();

    // The template must describe a child dialog; nStyle gives the CBRS_*
    // alignment.
    BOOL Create(CWnd* pParentWnd, LPCTSTR lpszTemplateName, UINT nStyle, UINT nID);
    BOOL Create(CWnd* pParentWnd, UINT nIDTemplate, UINT nStyle, UINT nID);

    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler);

    CSize m_sizeDefault;
};
