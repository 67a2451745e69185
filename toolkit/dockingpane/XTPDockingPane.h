// A docking pane: one dockable tool window with an identifier, a title, an
// icon, options and a hosted child window that the application attaches.
// A pane has no window of its own; its container shows the hosted window.
#pragma once

#include "XTPDockingPaneBase.h"

#include <XTPAccessible.h>

class CXTPImageManagerIcon;

class CXTPDockingPane : public CCmdTarget, public CXTPDockingPaneBase, public CXTPAccessible
{
    DECLARE_DYNAMIC(CXTPDockingPane)
public:
    explicit CXTPDockingPane(CXTPDockingPaneLayout* pLayout);
    virtual ~CXTPDockingPane();

    // Own overridables.
    virtual void SetFocus();
    virtual CString GetTitle() const;
    virtual CString GetShortTitle() const;
    virtual CXTPImageManagerIcon* GetIcon(int nWidth = 16) const;
    virtual COLORREF GetItemColor() const;
    virtual void Copy(const CXTPDockingPane* pPane);

    // CXTPDockingPaneBase
    virtual void GetMinMaxInfo(LPMINMAXINFO pMinMaxInfo) const;
    virtual CWnd* GetDockingSite() const;
    virtual void OnSizeParent(CWnd* pParent, CRect rect, LPVOID lParam);
    virtual void SetParentContainer(CXTPDockingPaneBase* pContainer);
    virtual BOOL DoPropExchange(CXTPPropExchange* pPX);
    virtual CXTPDockingPaneBase* Clone(CXTPDockingPaneLayout* pLayout, CXTPPaneToPaneMap* pMap,
                                       DWORD dwIgnoredOptions = 0);
    virtual void Release() { InternalRelease(); }
    virtual BOOL IsAutoHidden() const;

    int GetID() const { return m_nID; }
    // Sets the identifier and the title from the string of that id.
    void SetID(int nID);
    void SetTitle(LPCTSTR lpszTitle);
    CString GetFullTitle() const { return m_strTitle; }
    int GetIconID() const { return m_nIconID; }
    void SetIconID(int nIconID) { m_nIconID = nIconID; }
    DWORD GetOptions() const;
    void SetOptions(DWORD dwOptions) { m_dwOptions = dwOptions; }
    DWORD GetEnabled() const { return m_dwEnabled; }
    void SetEnabled(DWORD dwEnabled);
    DWORD GetPaneData() const { return m_dwData; }
    void SetPaneData(DWORD dwData) { m_dwData = dwData; }
    void SetMinTrackSize(CSize sz);
    void SetMaxTrackSize(CSize sz);
    CSize GetMinTrackSize() const { return m_ptMinTrackSize; }
    CSize GetMaxTrackSize() const { return m_ptMaxTrackSize; }
    void SetTabColor(COLORREF clr);
    COLORREF GetTabColor() const { return m_clrItemTab; }
    int GetHelpID() const { return m_nHelpID; }
    void SetHelpID(int nHelpID) { m_nHelpID = nHelpID; }

    BOOL IsClosed() const { return m_pParentContainer == NULL; }
    BOOL IsSelected() const;
    BOOL IsFloating() const;
    BOOL IsFocus() const;
    BOOL IsHidden() const { return FALSE; }
    BOOL HasAttachedWindow() const { return m_hwndChild != NULL; }
    HWND GetChild() const { return m_hwndChild; }

    void AttachWindow(CWnd* pWnd);
    void AttachWindow(HWND hWnd);
    void Detach();
    void SetWindowRect(int nLeft, int nTop, int nRight, int nBottom);
    // Showing first asks the owner for the hosted window (notification 1).
    void ShowWindow(BOOL bShow);
    void Close();
    void Hide();
    void Select();

    // Accessibility: a page tab whose one child is the hosted window.
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
    // The hosted window's own accessible object, or child number 1 when the
    // system gives none.
    void GetAccessibleHostedWindow(VARIANT* pvar);
    // Whether the pane is still one of its layout's panes (not destroyed).
    BOOL IsListedInLayout() const;

public:
    HWND m_hwndChild;
    int m_nID;
    int m_nIconID;
    CString m_strTitle;
    DWORD m_dwOptions;
    DWORD m_dwData;
    CSize m_ptMinTrackSize;
    CSize m_ptMaxTrackSize;
    COLORREF m_clrItemTab;
    int m_nHelpID;
    DWORD m_dwEnabled;
};

// Message asking a hosted window for its tab colour (0: none).
#define XTP_WM_TABCOLOR 0x28B9
