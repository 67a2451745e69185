// The base of every item a command bar shows: menu items, toolbar buttons,
// popups, edit and combo boxes and the special controls. A control holds its
// identity and texts, its states, its rectangle on its bar and an optional
// link to a shared action; it lives in one CXTPControls collection and is
// measured and drawn by the paint manager of its bar. Controls are reference
// counted: the collection holds one reference per control.
#pragma once

#include "XTPCommandBarsDefines.h"
#include "XTPAccessible.h"
#include <afxtempl.h>

class CXTPControls;
class CXTPControlAction;
class CXTPCommandBar;
class CXTPCommandBars;
class CXTPCommandBarList;
class CXTPPaintManager;
class CXTPImageManager;
class CXTPImageManagerIcon;
class CXTPPropExchange;
class CXTPRibbonGroup;

// Hands out the accessible face of a toolkit object for IUnknown,
// IDispatch and IAccessible.
DWORD AFX_CDECL XTPQueryAccessible(CCmdTarget* pTarget, IAccessible* pAccessible, const void* iid, LPVOID* ppvObj);

// Delivers a command chosen on a bar to the window that runs it. While the
// keyboard hook is delivering a key (Return or a letter in a menu) the
// command is posted and runs once that key is spent: a dialog it opened at
// once would take the same key-down and answer itself. Otherwise it is sent
// and has run on return. TRUE when it was posted.
BOOL AFX_CDECL XTPDeliverCommand(CWnd* pSite, UINT nID);

class CXTPControl : public CCmdTarget, public CXTPAccessible
{
    DECLARE_DYNCREATE(CXTPControl)
public:
    // Document-template resource ids for which a control is shown or hidden.
    class CDocTemplateMap : public CMap<UINT, UINT, BOOL, BOOL>
    {
    public:
        CDocTemplateMap() { InitHashTable(10); }
        void Copy(const CDocTemplateMap& map);
        BOOL IsEqual(const CDocTemplateMap& map) const;
    };

    CXTPControl();
    virtual ~CXTPControl();

    // Virtual operations, in the order the derived controls rely on.
    virtual CString GetCaption() const;                                             // 1
    virtual CString GetDescription() const;                                         // 2
    virtual CString GetTooltip(LPPOINT pPoint = NULL, LPRECT lpRectTip = NULL,
                               INT_PTR* pnHit = NULL) const;                          // 3
    virtual void SetBeginGroup(BOOL bBeginGroup);                                   // 4
    virtual void SetEnabled(BOOL bEnabled);                                         // 5
    virtual int GetSelected() const { return m_nSelected; }                         // 6
    virtual void SetFocused(BOOL bFocused) {}                                       // 7
    virtual BOOL IsFocused() const { return FALSE; }                                // 8
    virtual int GetPressed() const { return m_nPressed; }                           // 9
    virtual void SetRect(CRect rcControl);                                          // 10
    virtual BOOL IsCaptionVisible() const;                                          // 11
    virtual BOOL Compare(CXTPControl* pOther);                                      // 12
    virtual CXTPCommandBar* GetCommandBar() const { return NULL; }                  // 13
    virtual BOOL HasDropDownGlyph() const { return FALSE; }                         // 14
    virtual BOOL SetHideFlags(DWORD dwFlags);                                       // 15
    virtual void OnExecute();                                                       // 16
    virtual CSize GetSize(CDC* pDC);                                                // 17
    virtual void Draw(CDC* pDC);                                                    // 18
    virtual void OnCalcDynamicSize(DWORD dwMode) {}                                 // 19
    virtual CXTPImageManagerIcon* GetImage(int nWidth = 16) const;                  // 20
    virtual void DoPropExchange(CXTPPropExchange* pPX);                             // 21
    virtual void ExecuteFromKeyboard() { OnExecute(); }                             // 22
    virtual BOOL GetPopuped() const { return FALSE; }                               // 23
    virtual void SetAction(CXTPControlAction* pAction);                             // 24
    virtual void OnThemeChanged() {}                                                // 25
    virtual void SetWidth(int nWidth);                                              // 26
    virtual void SetHeight(int nHeight);                                            // 27
    virtual BOOL HasWindow() const { return FALSE; }                                // 28
    virtual int OnHookKeyDown(UINT nChar, LPARAM lParam) { return 0; }              // 29
    virtual BOOL HasOwnBackground() const { return FALSE; }                         // 30
    virtual void SetParent(CXTPCommandBar* pParent) { m_pParent = pParent; }        // 31
    virtual void Copy(CXTPControl* pControl, BOOL bRecursive = FALSE);              // 32
    virtual BOOL OnSetPopup(BOOL bPopup) { return FALSE; }                          // 33
    virtual void OnClick(BOOL bKeyboard = FALSE, CPoint pt = CPoint(0, 0)) {}       // 34
    virtual void OnLButtonUp(CPoint point) {}                                       // 35
    virtual BOOL OnRButtonDown(CPoint point) { return FALSE; }                      // 36
    virtual void OnRButtonUp(UINT nFlags, CPoint point) {}                          // 37
    virtual BOOL OnLButtonDblClk(CPoint point);                                     // 38
    virtual void OnMouseMove(CPoint point) {}                                       // 39
    virtual void OnMouseHover();                                                    // 40
    virtual BOOL OnSetSelected(int bSelected);                                      // 41
    virtual void OnCustomizeClick(CPoint point);                                    // 42
    virtual BOOL OnCustomizeResize(CPoint point);                                   // 43
    virtual void OnCustomizeDragOver(CXTPControl* pDataObject, CPoint point);       // 44
    // Asked of the dragged control: whether it may land on pCommandBar, the
    // bar it is dragged over, at the point (client coordinates).
    virtual BOOL AcceptsCustomizeDrop(CXTPCommandBar* pCommandBar, CPoint point) { return TRUE; } // 45
    virtual BOOL IsCustomizeResizeAllowed() const { return FALSE; }                 // 46
    virtual int GetCustomizeMinWidth() const { return 0; }                          // 47
    virtual void OnCustomizeDragLeave() {}                                          // 48
    virtual void OnRemoved();                                                       // 49
    virtual BOOL IsCustomizeMovable() const;                                        // 50
    virtual void RestoreCommandBarList(CXTPCommandBarList* pCommandBarList) {}      // 51
    virtual void GenerateCommandBarList(DWORD& nID, CXTPCommandBarList* pCommandBarList,
                                        void* pParam);                              // 52
    virtual void OnActionChanged(int nProperty) {}                                  // 53
    virtual void OnActionChanging(int nProperty) {}                                 // 54
    virtual CXTPControl* Clone(BOOL bRecursive = FALSE);                            // 55
    // Added after the ordered slots.
    virtual BOOL OnHookMouseWheel(UINT nFlags, short zDelta, CPoint pt) { return FALSE; }
    // Whether the control, while selected in its bar, gets the bar's keys and
    // wheel turns before the bar: a control that has the keyboard focus, or
    // one with keyboard rules of its own that never takes the focus.
    virtual BOOL TakesBarKeys() const { return IsFocused(); }
    // Runs at the start of the bar's command-UI update of this control, before
    // the command routing sets its state.
    virtual void OnIdleUpdate() {}
    // Whether the control lies on the caption of a ribbon that draws the
    // frame: its paint manager says so for its rectangle.
    virtual BOOL IsInRibbonCaption() const;
    // Whether the point (bar client coordinates) still presses the control
    // while a press is tracked.
    virtual BOOL IsPressHit(CPoint point, const CRect& rcTrack) const { return rcTrack.PtInRect(point); }

    // Identity.
    int GetID() const { return m_nId; }
    // Loads the id's string into the prompt when the id changes.
    void SetID(int nId);
    int GetIndex() const { return m_nIndex; }
    XTPControlType GetType() const { return m_controlType; }
    void SetType(XTPControlType type) { m_controlType = type; }
    DWORD GetTag() const { return m_nTag; }
    void SetTag(DWORD dwTag) { m_nTag = dwTag; }
    CString GetParameter() const { return m_strParameter; }
    void SetParameter(LPCTSTR lpszParameter) { m_strParameter = lpszParameter; }
    CString GetCategory() const { return m_strCategory; }
    void SetCategory(LPCTSTR lpszCategory) { m_strCategory = lpszCategory; }
    BOOL IsTemporary() const { return m_bTemporary; }
    void SetTemporary(BOOL bTemporary) { m_bTemporary = bTemporary; }
    int GetHelpId() const { return m_nHelpId; }
    void SetHelpId(int nHelpId) { m_nHelpId = nHelpId; }

    // Texts. The caption's part after a tab becomes the automatic shortcut.
    void SetCaption(LPCTSTR lpszCaption);
    CString GetCustomCaption() const { return m_strCustomCaption; }
    void SetCustomCaption(LPCTSTR lpszCaption);
    // "description\ntooltip[\ncaption]"; fills an empty caption.
    void SetPrompt(LPCTSTR lpszPrompt);
    void SetTooltip(LPCTSTR lpszTooltip) { m_strTooltipText = lpszTooltip; }
    void SetDescription(LPCTSTR lpszDescription) { m_strDescriptionText = lpszDescription; }
    CString GetShortcutText() const;
    void SetShortcutText(LPCTSTR lpszShortcutText);
    CString GetAutomaticShortcutText() const { return m_strShortcutTextAuto; }
    void SetAutomaticShortcutText(LPCTSTR lpszShortcutText) { m_strShortcutTextAuto = lpszShortcutText; }

    // Icons: the custom icon id, else the icon id, else the action's, else the id.
    int GetIconId() const;
    void SetIconId(int nId);
    int GetCustomIconId() const { return m_nCustomIconId; }
    void SetCustomIconId(int nId);
    BOOL HasIcon() const { return GetIconId() > 0; }

    // States. Stored values of -1 follow the action.
    int GetEnabled() const;
    int GetEnabledState() const { return m_bEnabled; }
    int GetChecked() const;
    void SetChecked(int nChecked);
    void SetPressed(int nPressed) { m_nPressed = nPressed; }
    static BOOL AFX_CDECL IsKeyboardSelected(int nSelected) { return nSelected == 2 || nSelected == 3; }
    BOOL IsKeyboardSelected() const { return IsKeyboardSelected(GetSelected()); }
    BOOL GetBeginGroup() const { return m_bBeginGroup; }
    BOOL IsItemDefault() const { return m_bDefaultItem; }
    BOOL GetDefaultItem() const { return m_bDefaultItem; }
    void SetItemDefault(BOOL bDefault) { m_bDefaultItem = bDefault; }
    BOOL GetCloseSubMenuOnClick() const { return m_bCloseSubMenuOnClick; }
    void SetCloseSubMenuOnClick(BOOL bClose) { m_bCloseSubMenuOnClick = bClose; }
    int GetExecuteOnPressInterval() const { return m_nExecuteOnPressInterval; }
    void SetExecuteOnPressInterval(int nInterval) { m_nExecuteOnPressInterval = nInterval; }

    // The rarely-used mark: the control shows only when its popup is
    // expanded. Clearing it also clears hide flag 32.
    BOOL GetExpanded() const { return m_bExpanded; }
    void SetExpanded(BOOL bExpanded);

    // Visibility: shown when the action (if any) is visible and the hide
    // flags, less those tolerated, are 0.
    DWORD GetHideFlags() const { return m_dwHideFlags; }
    BOOL IsVisible(DWORD dwSkipFlags = 0) const;
    // Whether no control before this one shows on its bar (one hidden only
    // for the moment counts as shown; the bar's expand and hide buttons do
    // not): a group cannot begin here.
    BOOL IsFirstOnBar() const;
    void SetVisible(BOOL bVisible);
    void SetHideFlag(DWORD dwFlag, BOOL bSet);
    DWORD GetFlags() const { return m_dwFlags; }
    void SetFlags(DWORD dwFlags) { m_dwFlags = dwFlags; }

    // Style: the custom style, else the style, else the inherited one, else
    // the bar's default.
    XTPButtonStyle GetStyle() const;
    // The style the control is shown in: its style, unless the parent bar
    // shows its controls in a style of its own (CXTPCommandBar::GetControlStyle).
    // Drawing and layout go by this one; the control's data stays GetStyle.
    XTPButtonStyle GetShownStyle() const;
    void SetStyle(XTPButtonStyle style);
    int GetCustomStyle() const { return m_nCustomStyle; }
    void SetCustomStyle(int nStyle) { m_nCustomStyle = nStyle; }
    void SetInheritedStyle(XTPButtonStyle style) { m_nInheritedStyle = style; }

    // Geometry, in the parent bar's client coordinates.
    CRect GetRect() const { return m_rcControl; }
    CRect GetRowRect() const { return m_rcRow; }
    void SetRowRect(CRect rcRow) { m_rcRow = rcRow; }
    BOOL GetWrap() const { return m_bWrap; }
    void SetWrap(BOOL bWrap) { m_bWrap = bWrap; }
    int GetWidth() const { return m_nWidth; }
    int GetHeight() const { return m_nHeight; }

    // Relations.
    CXTPCommandBar* GetParent() const { return m_pParent; }
    CXTPControls* GetControls() const { return m_pControls; }
    void SetControls(CXTPControls* pControls) { m_pControls = pControls; }
    CXTPControlAction* GetAction() const { return m_pAction; }
    // The ribbon group the control belongs to (set by the group), or NULL.
    CXTPRibbonGroup* GetRibbonGroup() const { return m_pRibbonGroup; }
    void SetRibbonGroup(CXTPRibbonGroup* pGroup) { m_pRibbonGroup = pGroup; }
    CXTPCommandBars* GetCommandBars() const;
    CXTPPaintManager* GetPaintManager() const;
    CXTPImageManager* GetImageManager() const;
    BOOL IsCustomizeMode() const;
    // A click by the keyboard (Enter on the selected control, a screen
    // reader's default action): OnClick with bKeyboard, except in customize
    // mode, where it only makes the control the customize selection (only
    // the mouse drags a control, so nothing is moved or taken off; a menu
    // also opens, as a click opens it there).
    virtual void OnKeyboardClick();
    // The cursor lies in the control's rectangle.
    BOOL IsCursorOver() const;

    CDocTemplateMap& GetDocTemplatesAssigned() { return m_mapDocTemplatesAssigned; }
    CDocTemplateMap& GetDocTemplatesExcluded() { return m_mapDocTemplatesExcluded; }

    // The parent's layout-pending idle flag.
    void DelayLayoutParent();
    // Asks the parent to redraw the control's rectangle.
    void RedrawParent(BOOL bAnimate = TRUE);

    // Sends WM_XTP_COMMAND to the site (the parent's owner site when NULL);
    // when it answers 0, routes the record through the site's command map.
    LRESULT NotifySite(CWnd* pSite, UINT code, NMXTPCONTROL* pNM);
    LRESULT NotifySite(UINT code);
    LRESULT NotifyOwner(UINT code) { return NotifySite(code); }
    LRESULT NotifyOwnerEx(UINT code, NMXTPCONTROL* pNM) { return NotifySite(NULL, code, pNM); }

    // The modal press-and-track of a button on a bar that is not a popup.
    void TrackPress(CRect rcTrack = CRect(0, 0, 0, 0));

    // Accessibility (the CXTPAccessible side).
    virtual HRESULT GetAccessibleParent(IDispatch** ppdispParent);
    virtual HRESULT GetAccessibleChildCount(long* pcountChildren);
    virtual HRESULT GetAccessibleChild(VARIANT varChild, IDispatch** ppdispChild);
    virtual HRESULT GetAccessibleName(VARIANT varChild, BSTR* pszName);
    virtual HRESULT GetAccessibleDescription(VARIANT varChild, BSTR* pszDescription);
    virtual HRESULT GetAccessibleRole(VARIANT varChild, VARIANT* pvarRole);
    virtual HRESULT GetAccessibleState(VARIANT varChild, VARIANT* pvarState);
    virtual HRESULT GetAccessibleDefaultAction(VARIANT varChild, BSTR* pszDefaultAction);
    virtual HRESULT AccessibleSelect(long flagsSelect, VARIANT varChild);
    virtual HRESULT AccessibleLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight,
                                       VARIANT varChild);
    virtual HRESULT AccessibleHitTest(long xLeft, long yTop, VARIANT* pvarChild);
    virtual HRESULT AccessibleDoDefaultAction(VARIANT varChild);
    virtual CCmdTarget* GetAccessibleCmdTarget() { return this; }
    // The name is the caption without its access key's marks; where the
    // caption shows nothing it is the tip, which keeps the marks it has (a
    // caption button's tip is the system menu's "&Close") until a client
    // reads the name.
    virtual BOOL IsAccessibleNameMnemonic(VARIANT varChild);
    virtual LPDISPATCH GetIDispatch(BOOL bAddRef);
    // Whether the control is on the screen: its bar's window shows, and
    // neither a hide flag (another ribbon tab, a collapsed group, no room)
    // nor its action hides it. What is not on the screen is invisible to
    // an accessibility client and has no location there.
    BOOL IsAccessibleOnScreen() const;
    // The object id under which the parent bar hands out this control's
    // object to an accessibility client (WM_GETOBJECT): its position among
    // the bar's controls plus one, the same number as its child id on the
    // bar. 0 when the control is on no bar's list.
    LONG GetAccessibleObjectId() const;
    virtual DWORD InternalQueryInterface(const void* iid, LPVOID* ppvObj);

    // Live instances (for leak checks).
    static LONG AFX_CDECL GetInstanceCount() { return s_nInstanceCount; }

protected:
    // Executes the command once: code 100 to the site, else WM_COMMAND
    // through XTPDeliverCommand; TRUE when the command was posted.
    BOOL ExecuteCommand();
    // The tooltip and description of the id's string, for the toolkit's own
    // buttons, whose ids are set at construction and show no caption: they
    // are named and tipped by it.
    void LoadPromptTips();
    // A loaded fixed width or height that no screen can show (or below 0)
    // is not kept (traced).
    void DropImpossibleSize();

public:
    DWORD m_nTag;
    int m_nIndex;
    int m_nId;
    int m_nIconId;
    int m_nHelpId;
    int m_nCustomIconId;
    BOOL m_bWrap;
    BOOL m_bBeginGroup;
    int m_bEnabled;
    int m_bChecked;
    int m_nSelected;
    int m_nPressed;
    BOOL m_bTemporary;
    BOOL m_bExpanded;
    CRect m_rcRow;
    CRect m_rcControl;
    DWORD m_dwHideFlags;
    DWORD m_dwFlags;
    CString m_strCaption;
    CString m_strCustomCaption;
    CString m_strShortcutText;
    CString m_strShortcutTextAuto;
    CString m_strTooltipText;
    CString m_strDescriptionText;
    CString m_strParameter;
    CXTPControls* m_pControls;
    XTPControlType m_controlType;
    CXTPCommandBar* m_pParent;
    CString m_strCategory;
    BOOL m_bDefaultItem;
    CDocTemplateMap m_mapDocTemplatesAssigned;
    CDocTemplateMap m_mapDocTemplatesExcluded;
    XTPButtonStyle m_buttonStyle;
    int m_nCustomStyle;
    XTPButtonStyle m_nInheritedStyle;
    BOOL m_bCloseSubMenuOnClick;
    CXTPControlAction* m_pAction;
    int m_nWidth;
    int m_nHeight;
    int m_nExecuteOnPressInterval;
    CXTPRibbonGroup* m_pRibbonGroup;    // not owned; not copied

private:
    static LONG s_nInstanceCount;

    friend class CXTPControls;
    friend class CXTPControlAction;
};
