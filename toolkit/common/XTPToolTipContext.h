// Tooltip context: gives a window tooltips without the window managing a
// tooltip control. The owner forwards its mouse messages and answers hit
// tests; the context creates the tip window on demand in one of six styles,
// adds and removes the one tool under the mouse and relays the messages.
#pragma once

#include "XTPCommon.h"
#include <afxcmn.h>

class CXTPImageManager;
class CXTPImageManagerIcon;
class CXTPRichRender;
class CXTPToolTipContext;

// Asks a child window whether tooltips should treat it as its parent (a
// toolkit window that answers 1 is let through to the parent).
#define XTP_TTM_WINDOWFROMPOINT 0x2A48
// Sets the icon of the toolkit's own tip window (lParam: the icon or NULL).
#define XTP_TTM_SETIMAGE 0x2A49

// The tip style bit that turns the drop shadow of the own tip window off.
#define XTP_TTS_NOSHADOW 0x2000

// The extension block of a 44-byte tool record (its lParam points to it).
struct XTP_TOOLTIP_TOOLINFO_EX
{
    LPTSTR pszDescription;
    LPTSTR pszTitle;
    CXTPImageManager* pImageManager;
    RECT rcExclude;             // placement: the tip goes below this rectangle
    void* pObject;              // the object the tool stands for (a control)
};

// One tool of the own tip window.
struct XTP_TOOLTIP_TOOLITEM
{
    XTP_TOOLTIP_TOOLITEM();

    BOOL IsEmpty() const { return hwnd == NULL && uId == (UINT_PTR)-1; }
    void Clear();
    BOOL IsSameTool(const XTP_TOOLTIP_TOOLITEM& other) const { return hwnd == other.hwnd && uId == other.uId; }

    CString strText;
    BOOL bTextCallback;
    UINT uFlags;
    RECT rect;
    HINSTANCE hinst;
    HWND hwnd;
    UINT_PTR uId;
    RECT rcExclude;
};

// The toolkit's own tip window: a bold title, an icon, margins, its own timing.
class CXTPToolTipContextToolTip : public CWnd
{
public:
    explicit CXTPToolTipContextToolTip(CXTPToolTipContext* pContext);
    virtual ~CXTPToolTipContextToolTip();

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle);

    virtual CSize GetToolTipSize(const XTP_TOOLTIP_TOOLITEM* pTool);
    virtual void DrawContent(CDC* pDC, const XTP_TOOLTIP_TOOLITEM* pTool, CRect rc);
    virtual void DrawBackground(CDC* pDC, const XTP_TOOLTIP_TOOLITEM* pTool, CRect rc);

    // The show timer's tick (timer 1).
    void OnShowTimer();
    // The leave check's tick (timer 2, while a tip shows): the tip goes once
    // the cursor is off its tool, wherever the cursor went.
    void OnLeaveTimer();
    // Shows a tool (NULL hides).
    void ShowTool(const XTP_TOOLTIP_TOOLITEM* pTool);

    const XTP_TOOLTIP_TOOLITEM& GetShownTool() const { return m_toolShown; }
    const XTP_TOOLTIP_TOOLITEM& GetPendingTool() const { return m_toolPending; }
    const XTP_TOOLTIP_TOOLITEM& GetClickedTool() const { return m_toolClicked; }
    int GetToolCount() const { return (int)m_arrTools.GetSize(); }
    BOOL IsActive() const { return m_bActive; }
    UINT_PTR GetShowTimer() const { return m_nTimerShow; }
    int GetInitialDelay() const { return m_nInitialDelay; }
    int GetReshowDelay() const { return m_nReshowDelay; }
    const CString& GetTitle() const { return m_strTitle; }
    CXTPImageManagerIcon* GetIcon() const { return m_pIcon; }
    // When the tip was last shown or hidden (GetTickCount).
    DWORD GetLastShowTime() const { return m_dwLastShow; }
    void SetLastShowTime(DWORD dwTime) { m_dwLastShow = dwTime; }
    // The window that receives text requests.
    void SetNotifyWindow(HWND hWnd) { m_hWndNotify = hWnd; }

    // The height of the cursor below its hot spot (21 when it cannot be read).
    static int AFX_CDECL GetCursorHeight(HCURSOR hCursor);

protected:
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual void PostNcDestroy();

    void OnRelayEvent(const MSG* pMsg);
    int HitTestTool(const MSG* pMsg);
    HWND WindowFromPoint(POINT pt);
    CString GetToolText(XTP_TOOLTIP_TOOLITEM& tool);
    BOOL IsToolWindowRTL(const XTP_TOOLTIP_TOOLITEM* pTool) const;
    void OnPaint();
    void SetMouseHook(BOOL bSet);

    static LRESULT CALLBACK TipMouseProc(int nCode, WPARAM wParam, LPARAM lParam);
    static HHOOK s_hHookMouse;
    static CXTPToolTipContextToolTip* s_pWndHook;

    CArray<XTP_TOOLTIP_TOOLITEM*, XTP_TOOLTIP_TOOLITEM*> m_arrTools;
    BOOL m_bActive;
    CXTPToolTipContext* m_pContext;
    XTP_TOOLTIP_TOOLITEM m_toolShown;
    XTP_TOOLTIP_TOOLITEM m_toolClicked;
    XTP_TOOLTIP_TOOLITEM m_toolPending;
    UINT_PTR m_nTimerShow;
    DWORD m_dwLastShow;
    int m_nInitialDelay;
    int m_nReshowDelay;
    CString m_strTitle;
    CXTPImageManagerIcon* m_pIcon;
    HWND m_hWndNotify;
    CPoint m_ptLast;            // the last relayed mouse position (screen)
    BOOL m_bHaveLastPoint;
};

class CXTPToolTipContext : public CCmdTarget
{
public:
    // Styles of the tip window.
    enum XTPToolTipStyle
    {
        xtpToolTipStandard = 0,
        xtpToolTipBalloon = 1,
        xtpToolTipOffice = 2,
        xtpToolTipRTF = 3,
        xtpToolTipLuna = 4,
        xtpToolTipOffice2007 = 5
    };

    // The platform tooltip control (styles 0 and 1, and unknown styles).
    class CStandardToolTip : public CToolTipCtrl
    {
    protected:
        virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
        virtual void PostNcDestroy();
    };

    class CLunaToolTip : public CXTPToolTipContextToolTip
    {
    public:
        explicit CLunaToolTip(CXTPToolTipContext* pContext) : CXTPToolTipContextToolTip(pContext) {}
        virtual void DrawBackground(CDC* pDC, const XTP_TOOLTIP_TOOLITEM* pTool, CRect rc);
    };

    class COffice2007ToolTip : public CXTPToolTipContextToolTip
    {
    public:
        explicit COffice2007ToolTip(CXTPToolTipContext* pContext) : CXTPToolTipContextToolTip(pContext) {}
        virtual void DrawBackground(CDC* pDC, const XTP_TOOLTIP_TOOLITEM* pTool, CRect rc);
    };

    class CRichEditToolTip : public CXTPToolTipContextToolTip
    {
    public:
        explicit CRichEditToolTip(CXTPToolTipContext* pContext);
        virtual ~CRichEditToolTip();
        virtual CSize GetToolTipSize(const XTP_TOOLTIP_TOOLITEM* pTool);
        virtual void DrawContent(CDC* pDC, const XTP_TOOLTIP_TOOLITEM* pTool, CRect rc);
        CXTPRichRender* GetRichRender() const { return m_pRichRender; }

    protected:
        CXTPRichRender* m_pRichRender;
    };

    CXTPToolTipContext();
    virtual ~CXTPToolTipContext();

    // Forwarded mouse messages of the owner window.
    void FilterToolTipMessage(CWnd* pWndHost, UINT message, WPARAM wParam, LPARAM lParam);
    void FilterToolTipMessage(CWnd* pWndHost, MSG* pMsg);
    void CancelToolTips();
    void ModifyToolTipStyle(DWORD dwRemove, DWORD dwAdd);

    // Helpers for OnToolHitTest implementations.
    static void AFX_CDECL FillInToolInfo(TOOLINFO* pTI, HWND hWnd, CRect rect, INT_PTR nHit,
                                         const CString& strToolTip);
    static void AFX_CDECL FillInToolInfoEx(TOOLINFO* pTI, HWND hWnd, CRect rect, INT_PTR nHit,
                                           const CString& strToolTip, const CString& strTitle,
                                           const CString& strDescription, CXTPImageManager* pImageManager);

    // Creates the tip window of the current style.
    virtual CWnd* CreateToolTip(CWnd* pWndParent);

    // Settings.
    void SetStyle(int nStyle);
    int GetStyle() const { return m_toolStyle; }
    void ShowTitleAndDescription(BOOL bShowTitleAndDescription = TRUE, int nTitleIcon = 1)
    {
        m_bShowTitleAndDescription = bShowTitleAndDescription;
        m_nTitleIcon = nTitleIcon;
    }
    void ShowImage(BOOL bShowImage, int nImageBase = 0)
    {
        m_bShowImage = bShowImage;
        m_nImageBase = nImageBase;
    }
    void SetMaxTipWidth(int nWidth) { m_nMaxTipWidth = nWidth; }
    int GetMaxTipWidth() const { return m_nMaxTipWidth; }
    void SetMargin(const CRect& rcMargin) { m_rcMargin = rcMargin; }
    CRect GetMargin() const { return m_rcMargin; }
    void SetDelayTime(DWORD dwDuration, int nTime);
    void SetTipBkColor(COLORREF clr) { m_clrTipBkColor = clr; }
    void SetTipTextColor(COLORREF clr) { m_clrTipTextColor = clr; }
    COLORREF GetTipBkColor() const;
    COLORREF GetTipTextColor() const;
    DWORD GetToolTipStyle() const { return m_dwStyle; }
    BOOL IsShowTitleAndDescription() const { return m_bShowTitleAndDescription; }
    BOOL IsShowImage() const { return m_bShowImage; }
    CFont* GetFont() { return &m_fnt; }
    CFont* GetBoldFont() { return &m_fntTitle; }
    CWnd* GetToolTip() const { return m_pToolTip; }
    int GetCommCtrlVersion() const { return m_nComCtlVersion; }

protected:
    void FilterToolTipMessageHelper(CWnd* pWndHost, MSG* pMsg, BOOL bAncestorTest);
    void DestroyToolTip();
    void ConfigureToolTip();
    void FreeToolInfoTexts(TOOLINFO& ti);

    BOOL m_bShowTitleAndDescription;
    BOOL m_bShowImage;
    int m_nImageBase;
    int m_toolStyle;
    int m_nComCtlVersion;
    int m_nTitleIcon;
    int m_nMaxTipWidth;
    DWORD m_dwStyle;
    CRect m_rcMargin;
    int m_nDelayInitial;
    int m_nDelayReshow;
    int m_nDelayAutoPop;
    CWnd* m_pToolTip;
    TOOLINFO m_lastInfo;        // 44-byte layout; texts not kept
    COLORREF m_clrTipBkColor;
    COLORREF m_clrTipTextColor;
    CFont m_fnt;
    CFont m_fntTitle;

    friend class CXTPToolTipContextToolTip;
};
