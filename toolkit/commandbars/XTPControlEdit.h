// The edit box on a command bar (control type 6), the edit window that every
// in-bar text box is built on, and the companion that follows the shell's
// auto-complete drop-down while a bar edit has the focus.
#pragma once

#include "XTPControl.h"
#include "XTPHookManager.h"
#include <richedit.h>

class CXTPControlEdit;
class CXTPControlComboBoxAutoCompleteWnd;

// Notifications of the edit and combo controls to their bar's owner.
#define XTP_EN_CHANGE 768
#define XTP_EN_SETFOCUS 256
#define XTP_EN_KILLFOCUS 512
#define XTP_EN_SPINCHANGED 100
#define XTP_UDN_UP 4112
#define XTP_UDN_DOWN 4113
// Posted to an edit window when the shell's auto-complete drop-down shows.
#define XTP_WM_AUTOCOMPLETESHOWN 0x2872
// The spin-repeat timer of an edit with spin buttons.
#define XTP_TID_SPIN 435

// The record sent before a spin step: the step times the direction.
struct NMXTPUPDOWN : public NMXTPCONTROL
{
    int iDelta;
};

// The rich-edit library of the process: RICHED20 ("RichEdit20A"), else
// RICHED32 ("RICHEDIT"), else none (plain edit windows).
struct XTP_RICHEDIT_LIBRARY
{
    HMODULE hModule;
    CString strClassName;
    BOOL bVersion2;
};
const XTP_RICHEDIT_LIBRARY* AFX_CDECL XTPRichEditLibrary();

// The edit window base shared by the bar edit and the combo box's edit.
class CXTPEdit : public CEdit
{
    DECLARE_DYNAMIC(CXTPEdit)
public:
    CXTPEdit();
    virtual ~CXTPEdit();

    // A Cut/Copy/Paste command-bar menu at the point (client coordinates);
    // FALSE when none could be shown.
    virtual BOOL ShowContextMenu(CXTPControl* pControl, CPoint point);
    // A rich-edit window when a library is present, else a plain edit.
    virtual BOOL CreateEdit(DWORD dwStyle, CWnd* pParentWnd);
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);

    // Paste needs text on the clipboard, Cut and Copy a selection.
    BOOL IsCommandEnabled(UINT nID);
    // Backspace, Page Up to Delete and Ctrl+C/V/X/Z go to the window.
    BOOL ProcessEditKey(UINT nChar, LPARAM lParam);
    BOOL IsRichEdit() const { return m_bRichEdit; }
    BOOL IsImeComposing() const { return m_bImeMode; }

    BOOL m_bImeMode;
    BOOL m_bRibbonCaption;

protected:
    afx_msg LRESULT OnImeStartComposition(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnImeEndComposition(WPARAM wParam, LPARAM lParam);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg LRESULT OnPaste(WPARAM wParam, LPARAM lParam);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    DECLARE_MESSAGE_MAP()

    BOOL m_bRichEdit;
};

// The text side that the edit control and the combo box share: the
// control's copy of the text, the hint shown in an empty box, and the edit
// window's character format.
class CXTPControlEditTextHolder
{
public:
    CXTPControlEditTextHolder();
    virtual ~CXTPControlEditTextHolder() {}

    // The text the box holds, refreshed from the window when it changed.
    CString GetRawText();
    void SetRawText(LPCTSTR lpszText);
    // The own hint, else the action's.
    CString GetEditHintText() const;
    // The user's text: never the hint.
    CString GetEditTextValue();
    void SetEditTextValue(LPCTSTR lpszText);
    void SetEditHintValue(LPCTSTR lpszHint);
    BOOL IsHintShown() { return !GetEditHintText().IsEmpty() && GetRawText() == GetEditHintText(); }
    void MarkTextStale() { m_bTextStale = TRUE; }

    virtual CXTPEdit* GetEditWindow() const = 0;
    virtual CXTPControl* GetTextControl() = 0;
    // What the edit window tells its control.
    virtual void OnSetFocus(CWnd* pOldWnd) = 0;
    virtual void OnKillFocus() = 0;
    virtual void OnEditChanged() = 0;

    // Grey while the hint shows or the control is disabled; else window text.
    COLORREF GetEditTextColor();
    // The CHARFORMAT2 of the edit window: text and background colour.
    void FillCharFormat(CHARFORMAT2& cf);
    // Sends the character format and background to a rich edit window.
    void ApplyCharFormat();

    // The window steps the edit and the combo box share:
    // destroys the window when it must be made anew (asked for, mirrored,
    // or under another parent than the control's bar);
    void CheckEditWindowParent();
    // creates it when missing and brings it up to date (font, margins,
    // format, text, read-only), moves it and shows or hides it;
    BOOL PlaceEditWindow(const CRect& rcEdit, BOOL bReadOnly);
    // shows it while the control is visible;
    void UpdateEditVisibility();
    // after the control's visibility changed: the window follows and the
    // bar lays out again;
    void OnEditVisibilityChanged();
    // after the control's enabled state changed: the window and its colours
    // follow;
    void OnEditEnabledChanged();
    // around a change of the action: its hint (property 4) replaces the
    // shown hint, its visibility (property 2) shows or hides the window;
    void OnEditActionChanging(int nProperty);
    void OnEditActionChanged(int nProperty);
    // and the focus: the window, the bar's tracking and selection, and the
    // mouse manager's count of focused bar edits. FALSE when unchanged.
    BOOL ChangeEditFocus(BOOL bFocused);
    // Shell auto-complete on the window (flags 0: none).
    void AttachShellAutoComplete(DWORD dwFlags);

    CString m_strEditText;
    BOOL m_bTextStale;
    CString m_strEditHint;
    CString m_strLastText;      // the text when the box got the focus
    DWORD m_dwShellAutoCompleteFlags;
    CXTPControlComboBoxAutoCompleteWnd* m_pAutoCompleteWnd;
    DWORD m_dwEditStyle;
    int m_nLabelWidth;
    BOOL m_bFocused;
    BOOL m_bDelayReposition;
    BOOL m_bDelayDestroy;
};

// The edit window of a control that holds text (the bar edit and the
// editable combo box): it hands focus, text changes and mouse input to its
// control, and the control's tooltip shows over it.
class CXTPControlTextEditCtrl : public CXTPEdit
{
    DECLARE_DYNAMIC(CXTPControlTextEditCtrl)
public:
    CXTPControlTextEditCtrl();

    // The control, NULL while the window has none.
    CXTPControl* GetTextControl() const { return m_pHolder != NULL ? m_pHolder->GetTextControl() : NULL; }

    CXTPControlEditTextHolder* m_pHolder;

protected:
    // Called on a right click before the click goes on to the bar (while
    // customising) or the control takes the focus.
    virtual void OnBeforeContextMenu() {}

    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg BOOL OnChange();
    afx_msg void OnDestroy();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint pos);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg LRESULT OnWindowFromPoint(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

// The edit window of a bar edit control.
class CXTPControlEditCtrl : public CXTPControlTextEditCtrl
{
    DECLARE_DYNAMIC(CXTPControlEditCtrl)
};

class CXTPControlEdit : public CXTPControl, public CXTPControlEditTextHolder
{
    DECLARE_DYNCREATE(CXTPControlEdit)
public:
    CXTPControlEdit();
    virtual ~CXTPControlEdit();

    virtual void SetEnabled(BOOL bEnabled);
    virtual void SetFocused(BOOL bFocused);
    virtual BOOL IsFocused() const { return m_bFocused; }
    virtual void SetRect(CRect rcControl);
    virtual BOOL IsCaptionVisible() const;
    virtual BOOL Compare(CXTPControl* pOther);
    virtual BOOL SetHideFlags(DWORD dwFlags);
    virtual void OnCalcDynamicSize(DWORD dwMode);
    virtual void ExecuteFromKeyboard();
    virtual BOOL HasWindow() const { return m_pEdit != NULL && m_pEdit->GetSafeHwnd() != NULL; }
    virtual int OnHookKeyDown(UINT nChar, LPARAM lParam);
    virtual void SetParent(CXTPCommandBar* pParent);
    virtual void Copy(CXTPControl* pControl, BOOL bRecursive = FALSE);
    virtual void OnClick(BOOL bKeyboard = FALSE, CPoint pt = CPoint(0, 0));
    virtual void OnMouseMove(CPoint point);
    virtual void OnMouseHover();
    virtual BOOL OnSetSelected(int bSelected);
    virtual void OnActionChanged(int nProperty);
    virtual void OnActionChanging(int nProperty);
    virtual void DoPropExchange(CXTPPropExchange* pPX);
    virtual BOOL IsCustomizeResizeAllowed() const { return TRUE; }
    virtual int GetCustomizeMinWidth() const { return m_nLabelWidth + 10; }
    // Own virtual operations, in this order.
    virtual CXTPControlEditCtrl* CreateEditControl();
    virtual void OnSetFocus(CWnd* pOldWnd);
    virtual void OnKillFocus();
    virtual void OnEditChanged();
    virtual void GetCharFormat(CHARFORMAT2& cf);
    virtual void DoSpin(int nStep, int nDirection);

    CString GetEditText() { return GetEditTextValue(); }
    void SetEditText(LPCTSTR lpszText) { SetEditTextValue(lpszText); }
    CString GetEditHint() const { return GetEditHintText(); }
    void SetEditHint(LPCTSTR lpszHint) { SetEditHintValue(lpszHint); }
    void EnableShellAutoComplete(DWORD dwFlags);
    // 18 pixels at the right edge, inset by 1 at top, bottom and right;
    // empty without spin buttons.
    CRect GetSpinButtonsRect() const;
    BOOL IsImageVisible() const;

    CXTPControlEditCtrl* GetEditCtrl() const { return m_pEdit; }
    BOOL GetShowLabel() const { return m_bLabel; }
    void ShowLabel(BOOL bShow) { m_bLabel = bShow; DelayLayoutParent(); }
    BOOL GetReadOnly() const { return m_bReadOnly; }
    void SetReadOnly(BOOL bReadOnly);
    BOOL IsSpinButtonsVisible() const { return m_bShowSpinButtons; }
    void ShowSpinButtons(BOOL bShow = TRUE) { m_bShowSpinButtons = bShow; m_bDelayReposition = TRUE; DelayLayoutParent(); }
    DWORD GetEditStyle() const { return m_dwEditStyle; }
    void SetEditStyle(DWORD dwStyle) { m_dwEditStyle = dwStyle; m_bDelayDestroy = TRUE; DelayLayoutParent(); }
    int GetLabelWidth() const { return m_nLabelWidth; }
    void SetLabelWidth(int nWidth) { m_nLabelWidth = nWidth; }

    virtual CXTPEdit* GetEditWindow() const { return m_pEdit; }
    virtual CXTPControl* GetTextControl() { return this; }

protected:
    // The modal press of a spin button.
    void TrackSpinButton(BOOL bUp);

public:
    CXTPControlEditCtrl* m_pEdit;
    BOOL m_bLabel;
    BOOL m_bReadOnly;
    BOOL m_bShowSpinButtons;
    BOOL m_bNotified;           // set by the notification, read by the placement
};

// Follows the shell's auto-complete drop-down while an edit has the focus.
class CXTPControlComboBoxAutoCompleteWnd : public CXTPHookManagerHookAble
{
public:
    explicit CXTPControlComboBoxAutoCompleteWnd(HWND hWndEdit);
    virtual ~CXTPControlComboBoxAutoCompleteWnd();

    void SetupHooks(BOOL bSetup);
    void HideDropDown();
    // The keys Up, Down, Page Up and Page Down while the drop-down shows.
    BOOL PreTranslateKey(UINT nChar);
    BOOL IsDropDownShown() const { return m_hWndDropDown != NULL; }
    virtual int OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult);

    // Watches the windows the thread shows for the drop-down.
    void OnWindowPosChanging(HWND hWnd, const WINDOWPOS* pWndPos);

    HWND m_hWndDropDown;
    HWND m_hWndEdit;

private:
    static LRESULT CALLBACK CallWndProc(int nCode, WPARAM wParam, LPARAM lParam);
    static HHOOK s_hHook;
    static CXTPControlComboBoxAutoCompleteWnd* s_pActive;
};

// SHAutoComplete from shlwapi.dll, bound at run time; E_FAIL when missing.
HRESULT AFX_CDECL XTPShAutoComplete(HWND hWnd, DWORD dwFlags);
