// The ribbon bar: the command bar that stands in place of a menu bar at the
// top of a frame. Top to bottom: a caption row (title, contextual tab
// headers, caption buttons and, above the ribbon, the quick-access toolbar),
// the tab row (the tab strip and any other controls of the bar) and the
// groups area with the groups of the selected tab. It can be minimised to
// the caption and tab rows; a click on a tab then opens the groups in a
// popup. All drawing goes through the ribbon theme.
#pragma once

#include "XTPMenuBar.h"
#include "XTPControlButton.h"
#include "XTPRibbonControls.h"
#include "XTPRibbonGroups.h"
#include "XTPRibbonTab.h"
#include "XTPOffice2007Theme.h"
#include "XTPRibbonFrameManager.h"
#include "XTPRibbonScrollableBar.h"

class CXTPRibbonBar;
class CXTPRibbonTheme;
class CXTPRibbonFrameManager;
class CXTPPropExchange;

// Command ids of the ribbon (menus 9601 and 9602 hold the quick-access menus).
#define XTP_ID_RIBBONCONTROLQUICKACCESS 9603
#define XTP_ID_RIBBONCONTROLTAB 9604
#define XTP_ID_RIBBONCUSTOMIZE_REMOVE 9605
#define XTP_ID_RIBBONCUSTOMIZE_ADD 9606
#define XTP_ID_RIBBONCUSTOMIZE_MORE 9607
#define XTP_ID_RIBBONCUSTOMIZE_QUICKACCESS_BELOW 9608
#define XTP_ID_RIBBONCUSTOMIZE_QUICKACCESS_BELOW2 9609
#define XTP_ID_RIBBONCUSTOMIZE_QUICKACCESS_ABOVE 9610
#define XTP_ID_RIBBONCONTROLQUICKACCESSMORE 9611
#define XTP_ID_RIBBONCUSTOMIZE_MINIMIZE 9612
#define XTP_ID_RIBBONCUSTOMIZE_COMMANDS 9613
#define XTP_ID_RIBBONCUSTOMIZE_LABEL 9614
#define XTP_IDR_RIBBONCUSTOMIZEMENU 9601
#define XTP_IDR_RIBBONCUSTOMIZEMENUMORE 9602

class CXTPControl;
class CXTPControlGallery;
// Whether a control is one of the ribbon's own workings (the tab strip, the
// system button, the quick-access popups, the scroll and caption buttons, a
// group's popup and option buttons), which an application's idle pass that
// knows nothing of them must never disable.
BOOL AFX_CDECL XTPIsRibbonOwnControl(const CXTPControl* pControl);

class CXTPRibbonBar : public CXTPMenuBar, public CXTPRibbonScrollableBar
{
    DECLARE_DYNCREATE(CXTPRibbonBar)
public:
    // The quick-access popups (XTPRibbonBarControlQuickAccessPopup.h).
    class CControlQuickAccessMorePopup;
    class CControlQuickAccessCommand;
    class CMorePopupToolBar;

    // A caption button of the frame (minimise, maximise, restore, close).
    class CControlCaptionButton : public CXTPControlButton
    {
        DECLARE_DYNCREATE(CControlCaptionButton)
    public:
        explicit CControlCaptionButton(CXTPRibbonFrameManager* pFrameManager = NULL);
        virtual void Draw(CDC* pDC);
        virtual void OnExecute();
        virtual BOOL IsCustomizeMovable() const { return FALSE; }
        CXTPRibbonFrameManager* m_pFrameManager;
    };

    CXTPRibbonBar();
    virtual ~CXTPRibbonBar();

    // Command-bar overrides.
    virtual BOOL SetTrackingMode(int bMode, BOOL bSelectFirst = TRUE, BOOL bKeyboard = FALSE);
    virtual CSize GetButtonSize() const;
    virtual void SetVisible(BOOL bVisible);
    virtual void DoPropExchange(CXTPPropExchange* pPX);
    virtual void DrawCommandBar(CDC* pDC, CRect rcClipBox);
    virtual void EnsureVisible(CXTPControl* pControl) { EnsureControlVisible(pControl); }
    virtual void CreateKeyboardTips();
    virtual void OnKeyboardTip(CXTPCommandBarKeyboardTip* pTip);
    virtual void Copy(CXTPCommandBar* pCommandBar, BOOL bRecursive = FALSE);
    // In customize mode only the quick-access toolbar takes dropped controls.
    virtual DROPEFFECT OnCustomizeDragOver(CXTPControl* pDataObject, CPoint point);
    virtual void OnCustomizeDrop(CXTPControl* pDataObject, DROPEFFECT& dropEffect, CPoint ptDrop, CPoint ptDrag);
    // Reset puts back the quick-access controls the program built the
    // toolbar with: the rest of the ribbon is the program's and unchanged.
    virtual void ResetToolBar(BOOL bShowWarningMessage = FALSE);
    virtual void GenerateCommandBarList(DWORD& nID, CXTPCommandBarList* pCommandBarList, void* pParam);
    virtual void RestoreCommandBarList(CXTPCommandBarList* pCommandBarList);
    virtual void OnRemoved();
    virtual CXTPCommandBar* Clone(BOOL bRecursive = FALSE);
    virtual CSize CalcDockingLayout(int nLength, DWORD dwMode, int nWidth = 0);
    virtual BOOL LoadMenuBar(UINT nIDResource);
    virtual BOOL IsRibbonBar() const { return TRUE; }
    virtual CXTPPaintManager* GetPaintManager();
    virtual int OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult);
    virtual void OnRecalcLayout();
    virtual void FillBackground(CDC* pDC);
    virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const;
    virtual BOOL IsOwnControl(CXTPControl* pControl) const { return XTPIsRibbonOwnControl(pControl); }
    // Every control but those of the quick-access toolbar: a customise drag
    // (from any part of it, by any path) may copy it to a bar, the
    // quick-access toolbar among them, but it stays where it is.
    virtual BOOL IsCustomizeCopyOnly(CXTPControl* pControl) const;
    // Controls of the quick-access toolbar show as its small buttons.
    virtual XTPButtonStyle GetControlStyle(const CXTPControl* pControl, XTPButtonStyle style) const;
    // Alt and Alt with a letter reach the ribbon here.
    virtual BOOL PreviewSysKey(UINT nVirtKey) { return OnAcceleratorKey(nVirtKey); }

    // The ribbon's own operations.
    virtual CSize CalcDockedSize(int nLength, DWORD dwMode);
    virtual int GetTabsHeight() const;
    virtual int GetGroupsHeight();
    virtual int CalcGroupsHeight();
    virtual BOOL IsAllowQuickAccessControl(CXTPControl* pControl);
    virtual BOOL OnTabChanging(CXTPRibbonTab* pTab);
    virtual void OnTabChanged(CXTPRibbonTab* pTab);
    virtual CXTPPopupBar* CreateContextMenu(CXTPControl* pSelectedControl);
    virtual CXTPPopupBar* CreateMoreQuickAccessPopup();
    virtual CRect GetGroupsRect() const { return m_rcGroups; }
    virtual CXTPRibbonTab* GetShownTab() const { return GetSelectedTab(); }

    // Tabs.
    CXTPRibbonTab* AddTab(LPCTSTR lpszCaption, int nId = 0);
    CXTPRibbonTab* InsertTab(int nItem, LPCTSTR lpszCaption, int nId = 0);
    int GetTabCount() const;
    CXTPRibbonTab* GetTab(int nIndex) const;
    void SetCurSel(int nIndex);
    CXTPRibbonTab* GetSelectedTab() const;
    void SwitchTab(BOOL bNext);
    CXTPRibbonGroup* FindGroup(int nId) const;
    CXTPRibbonControlTab* GetControlTab() const { return m_pControlTab; }
    void RemoveAllTabs();

    // State.
    void SetMinimized(BOOL bMinimized);
    BOOL IsMinimized() const { return m_bMinimized; }
    void AllowMinimize(BOOL bAllow) { m_bAllowMinimize = bAllow; }
    BOOL IsAllowMinimize() const { return m_bAllowMinimize; }
    void ShowQuickAccessBelow(BOOL bBelow);
    BOOL IsQuickAccessBelow() const { return m_bQuickAccessBelow; }
    void ShowQuickAccess(BOOL bShow);
    BOOL IsQuickAccessVisible() const { return m_bShowQuickAccess; }
    void AllowQuickAccessDuplicates(BOOL bAllow) { m_bAllowQuickAccessDuplicates = bAllow; }
    BOOL IsQuickAccessControl(CXTPControl* pControl) const;
    // The style a control shows in on the quick-access toolbar (and in its
    // more-controls popup), given the one it carries: a button, popup or
    // label of any look in its group, and a gallery shown as its popup
    // button (the style a copy of it gets), is a small button there, its
    // icon, or its caption when it has no icon at that icon width; the look
    // the user chose for it on the toolbar (text only, image and text)
    // stands. A gallery the program shows in place there, and the kinds
    // that show their own face (boxes, check boxes, custom controls), keep
    // their style.
    static XTPButtonStyle AFX_CDECL GetQuickAccessStyle(const CXTPControl* pControl, XTPButtonStyle style,
                                                        int nIconWidth);
    // Whether what customisation does to a control is kept over restarts.
    // The ribbon stores only its quick-access toolbar: the tabs, groups and
    // other controls of the bar are made afresh by the program on every
    // start, so customising never takes them away or changes them.
    BOOL IsCustomizationKept(CXTPControl* pControl) const;
    // A copy of a control for the quick-access toolbar, as "Add to Quick
    // Access Toolbar" makes it (a gallery becomes a popup button).
    CXTPControl* CreateQuickAccessCopy(CXTPControl* pSource);
    void SetGroupsVisible(BOOL bVisible);
    BOOL IsGroupsVisible() const { return m_bGroupsVisible; }
    void SetTabsVisible(BOOL bVisible);
    BOOL IsTabsVisible() const { return m_bTabsVisible; }
    void ShowCaption(BOOL bShow) { m_bShowCaption = bShow; }
    BOOL IsCaptionVisible() const;
    void SetGroupsHeight(int nHeight) { m_nGroupsHeight = nHeight; }
    BOOL IsRibbonShown() const { return m_bRibbonShown; }
    int GetMinimumWidth() const { return m_nMinVisibleWidth; }
    CXTPRibbonQuickAccessControls* GetQuickAccessControls() const { return m_pQuickAccessControls; }
    CXTPControl* GetControlQuickAccessPopup() const { return m_pControlQuickAccess; }
    CXTPControl* GetControlQuickAccessMore() const;
    CXTPRibbonTabContextHeaders* GetContextHeaders() const { return m_pContextHeaders; }
    CXTPRibbonGroup* GetHighlightedGroup() const { return m_pHighlightedGroup; }
    CXTPRibbonFrameManager* GetFrameManager() const { return m_pFrameManager; }
    // Lets the ribbon draw the frame's caption: creates the frame manager.
    void EnableFrameTheme(BOOL bEnable = TRUE);
    int GetQuickAccessHeight() const { return m_nQuickAccessHeight; }
    // The system button (a control of the bar placed at the caption's left).
    CXTPControl* GetSystemButton() const { return m_pControlSystemButton; }
    void SetSystemButton(CXTPControl* pControl);

    // The ribbon theme in use: the bar's paint manager when it is one, else
    // a shared ribbon theme.
    CXTPRibbonTheme* GetRibbonPaintManager();

    // Rects of the last layout.
    CRect GetTabControlRect() const { return m_rcTabControl; }
    CRect GetCaptionRect() const { return m_rcCaption; }
    CRect GetCaptionTextRect() const { return m_rcCaptionText; }
    CRect GetQuickAccessRect() const { return m_rcQuickAccess; }
    CRect GetHeaderRect() const { return m_rcHeader; }
    int GetCaptionHeight();

    // Context headers (built at the end of the layout).
    void CreateContextHeaders();
    BOOL FitContextHeaders(int nLeft, int nRight);

    // Caption hit test: HTCAPTION, HTTOP or 0.
    int HitTestCaption(CPoint point);
    // Opens the context menu of a control at a client point.
    void ShowContextMenu(CPoint point, CXTPControl* pSelectedControl);
    // Group keyboard tips of the shown tab of a bar (ribbon or tab popup).
    void CreateGroupKeyboardTips(CXTPRibbonTab* pTab, CXTPCommandBar* pBar);
    // Alt and access keys.
    BOOL OnAcceleratorKey(UINT nKey);
    // Shows the frame's system menu through the system's message 0x0313;
    // FALSE when no menu came up (the caller tracks the menu itself).
    static BOOL SendSystemMenuMessage(HWND hWndFrame, CPoint ptScreen);

protected:
    void Reposition(int cx, int cy);
    void RepositionCaptionButtons();
    void AddCaptionButton(int nId, BOOL bVisible, BOOL bEnabled, CRect& rcCaption);
    void LayoutCaption();
    int CalcQuickAccessHeight(CDC* pDC);
    // Shows the key tips of the selected tab's groups: on the ribbon, or on
    // the tab's popup when the ribbon is minimised.
    void ShowSelectedTabTips();
    void SetGroupsRect(CDC* pDC, CRect rc);
    void UpdateHotGroup(CPoint point);
    LRESULT OnQuickAccessCommand(NMXTPCONTROL* pNM);
    // The gallery of a group with that id, NULL when there is none.
    CXTPControlGallery* FindGroupGallery(int nId) const;
    // Gives the popup-button copy of a gallery without a popup of its own a
    // popup that shows the gallery, so that the button opens something.
    void MakeGalleryPopup(CXTPControl* pButton, CXTPControl* pSource);
    void BindGalleryItems(CXTPControl* pControl);
    // Where a control dragged to a point would land on the quick-access
    // toolbar: the index among its controls (-1 when it has none shown), the
    // side and the insertion mark. FALSE when the toolbar does not take it
    // there.
    BOOL FindQuickAccessDrop(CXTPControl* pDataObject, CPoint point, int& nIndex, BOOL& bAfter, CRect& rcMarker);

    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnMouseLeave();
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    afx_msg void OnSysColorChange();
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg void OnCustomizeCommand(UINT nID);
    afx_msg LRESULT OnControlNotify(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

public:
    CRect m_rcTabControl;
    CRect m_rcGroups;
    CRect m_rcCaption;
    CRect m_rcCaptionText;
    CRect m_rcHeader;           // the caption's free area
    CRect m_rcQuickAccess;
    BOOL m_bRibbonShown;
    BOOL m_bWindowHidden;       // hidden by WM_SHOWWINDOW (not by width)
    BOOL m_bGroupsVisible;
    BOOL m_bTabsVisible;
    BOOL m_bQuickAccessBelow;
    BOOL m_bShowQuickAccess;
    BOOL m_bAllowQuickAccessDuplicates;
    BOOL m_bLayoutChanged;
    int m_nQuickAccessHeight;
    BOOL m_bAllowMinimize;
    CXTPRibbonQuickAccessControls* m_pQuickAccessControls;
    CXTPRibbonControlTab* m_pControlTab;
    CXTPControlPopup* m_pControlQuickAccess;
    CControlQuickAccessMorePopup* m_pControlQuickAccessMore;
    CXTPControl* m_pControlSystemButton;
    CXTPRibbonGroup* m_pHighlightedGroup;
    int m_nMinVisibleWidth;
    CXTPRibbonFrameManager* m_pFrameManager;
    CXTPRibbonTabContextHeaders* m_pContextHeaders;
    int m_nGroupsHeight;
    BOOL m_bMinimized;
    BOOL m_bShowCaption;
    BOOL m_bInLayout;
};

// The ribbon bar a control is on (through its parent bar or its group), or NULL.
CXTPRibbonBar* AFX_CDECL XTPGetRibbonBar(CXTPCommandBar* pBar);
// The ribbon theme of bars whose paint manager is not a ribbon theme.
CXTPRibbonTheme* AFX_CDECL XTPRibbonSharedTheme();

// The ribbon's popups.
#include "XTPRibbonBarControlQuickAccessPopup.h"
#include "XTPRibbonTabPopupToolBar.h"
