// The flat combo box: a combo box that paints a flat frame and drop button
// over the system's 3-D look, lights up while the cursor is over it or it
// has the focus, and can complete typed text from its list. Its theme
// (classic, Office XP, Office 2003) draws the frame and the button.
#pragma once

#include "XTThemeManager.h"
#include "XTPColorManager.h"

class CXTFlatComboBox;

// Drawing states of the flat frame.
enum XTFlatComboState
{
    xtComboNormal = 1,   // neither focused nor under the cursor
    xtComboRaised = 2,   // hot or focused
    xtComboPressed = 3   // the list is dropped down
};

// Timer of the hover tracking.
#define XT_FLATCOMBO_HOVER_TIMER 1000

// The classic look.
class CXTFlatComboBoxTheme : public CXTThemeManagerStyle
{
public:
    CXTFlatComboBoxTheme();

    virtual void RefreshMetrics();

    // Frame, button and arrow of the combo in a state (XTFlatComboState),
    // over its whole client rectangle.
    virtual void DrawFlatComboBox(CDC* pDC, CXTFlatComboBox* pCombo, int nState);
    // The button (in a copy of the rectangle), then the 5-3-1 arrow on it.
    virtual void DrawArrow(CDC* pDC, CRect rcArrow, int nState, CXTFlatComboBox* pCombo);
    // The drop button at the right of the rectangle; the rectangle's left
    // edge becomes the button's.
    virtual void DrawButton(CDC* pDC, CRect& rcArrow, int nState, CXTFlatComboBox* pCombo);

    int GetDropButtonWidth() const { return m_cxArrow; }

protected:
    // The frame of an enabled combo's client rectangle (classic: sunken in
    // states 2 and 3, none in state 1); the themes differ only here.
    virtual void DrawFrame(CDC* pDC, const CRect& rcClient, int nState);
    // The arrow's pixels with their top-left at (x, y).
    static void AFX_CDECL DrawArrowGlyph(CDC* pDC, int x, int y, COLORREF clr);

public:
    int m_cxArrow;       // drop-button width
    int m_cxHThumb;      // SM_CXHTHUMB
    int m_cyVThumb;      // SM_CYVTHUMB
    int m_cxBorder;      // SM_CXBORDER
    int m_cyBorder;      // SM_CYBORDER
    int m_cxEdge;        // SM_CXEDGE
    int m_cyEdge;        // SM_CYEDGE
};

// The Office XP look.
class CXTFlatComboBoxThemeOfficeXP : public CXTFlatComboBoxTheme
{
public:
    CXTFlatComboBoxThemeOfficeXP();

    virtual void DrawArrow(CDC* pDC, CRect rcArrow, int nState, CXTFlatComboBox* pCombo);
    virtual void DrawButton(CDC* pDC, CRect& rcArrow, int nState, CXTFlatComboBox* pCombo);

protected:
    virtual void DrawFrame(CDC* pDC, const CRect& rcClient, int nState);
    // The colour of the line left of a hot or pressed button.
    virtual COLORREF GetButtonLineColor();
};

// The Office 2003 look.
class CXTFlatComboBoxThemeOffice2003 : public CXTFlatComboBoxThemeOfficeXP
{
public:
    CXTFlatComboBoxThemeOffice2003();

    virtual void DrawButton(CDC* pDC, CRect& rcArrow, int nState, CXTFlatComboBox* pCombo);

protected:
    virtual void DrawFrame(CDC* pDC, const CRect& rcClient, int nState);
    virtual COLORREF GetButtonLineColor();
};

// Makes the flat-combo theme of a theme number.
class CXTFlatComboBoxThemeFactory : public CXTThemeManagerStyleFactory
{
    DECLARE_DYNCREATE(CXTFlatComboBoxThemeFactory)
public:
    virtual CXTThemeManagerStyle* CreateTheme(int nTheme);
};

class CXTFlatComboBox : public CComboBox, public CXTThemeManagerStyleHost
{
    DECLARE_DYNAMIC(CXTFlatComboBox)
public:
    CXTFlatComboBox();
    virtual ~CXTFlatComboBox();

    // Switches completion of typed text from the list on or off.
    virtual void EnableAutoCompletion(BOOL bEnable = TRUE);
    // The same switch under its other name; returns the stored switch.
    virtual BOOL SetAutoComplete(BOOL bEnable);
    // TRUE when the cursor is inside the window rectangle.
    virtual BOOL PointInRect();
    virtual BOOL HasFocus();
    // Fill of the text area of a drop-down list (-1: the window colour).
    // Returns the stored colour.
    virtual COLORREF SetBackColor(COLORREF clrBack);
    // A second colour word kept for derived classes; returns it.
    virtual COLORREF SetTextColor(COLORREF clrText);
    // The same colour under its other name.
    virtual COLORREF SetSecondColor(COLORREF clrSecond);
    // The theme's frame drawing in a state.
    virtual void DrawFlatCombo(CDC* pDC, int nState);
    // Paints the flat frame over the system's look (flat only).
    virtual void RedrawFlatCombo(CDC* pDC);
    // Shrinks the client rectangle to the edit area.
    virtual void DeflateEditRect(CRect& rc);

    // Clears or sets the flat look; clear, the combo paints and behaves as
    // a plain combo box.
    void SetFlatLook(BOOL bFlatLook) { m_bFlatLook = bFlatLook; }
    BOOL IsFlatLook() const { return m_bFlatLook; }
    BOOL IsAutoCompletion() const { return m_bAutoComp; }
    BOOL IsHot() const { return m_bPainted; }
    COLORREF GetBackColor() const { return m_clrBack; }
    COLORREF GetTextColor() const { return m_clrText; }
    // The state the frame is drawn in now.
    int GetDrawState();
    // TRUE for a combo with an edit field (not a drop-down list).
    BOOL HasEditField() const;

    CXTFlatComboBoxTheme* GetTheme() const;

    // One step of the hover tracking (timer 1000).
    void OnHoverTimer();

    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual void OnThemeChanged();

protected:
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnPaint();
    afx_msg void OnPrintClient(CDC* pDC, UINT nFlags);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg BOOL OnSetFocus();
    afx_msg BOOL OnKillFocus();
    afx_msg BOOL OnCloseUp();
    afx_msg BOOL OnEditUpdate();
    DECLARE_MESSAGE_MAP()

public:
    BOOL m_bAutoComp;    // completion of typed text
    BOOL m_bFlatLook;    // the flat look (TRUE)
    BOOL m_bDisableAC;   // Backspace or Delete held: completion suspended
    BOOL m_bPainted;     // hot: the cursor is inside (hover timer)
    BOOL m_bHasFocus;    // set and cleared by the focus notifications
    DWORD m_dwReserved1;
    DWORD m_dwReserved2;
    COLORREF m_clrBack;  // text-area fill of a drop-down list; -1 unset
    COLORREF m_clrText;  // kept for derived classes; -1 unset
};
