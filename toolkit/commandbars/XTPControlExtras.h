// Controls a menu or toolbar definition can name: placeholders that expand,
// each time their bar lays itself out, into the open windows, the toolbars,
// the recent files, the OLE verbs or the tab-group actions; and the label,
// check box, radio button and the size selector.
#pragma once

#include "XTPControlButton.h"
#include <XTPTabClientTarget.h>

class CXTPCommandBars;
class CRecentFileList;

// The notification of a selector whose highlighted size changed.
#define XTP_SN_SELECTORSIZECHANGED 0x1006

// The placeholder for the MDI child windows.
class CXTPControlWindowList : public CXTPControlButton
{
    DECLARE_DYNCREATE(CXTPControlWindowList)
public:
    CXTPControlWindowList();
    virtual void OnCalcDynamicSize(DWORD dwMode);
    virtual BOOL AcceptsCustomizeDrop(CXTPCommandBar* pCommandBar, CPoint point);

    // "&n text" with '&' doubled: n 1 to 9 is the mnemonic, 10 reads "1&0",
    // above 10 there is none, 0 gives the text alone.
    static CString AFX_CDECL ConstructCaption(const CString& strText, int nIndex);
    // The first child-window id, kept for the process (0xFF00 at first).
    static UINT s_nFirstMDIChild;
    // The most windows listed.
    enum { nMaxWindows = 9 };
};

// The placeholder for one item per toolbar.
class CXTPControlToolbars : public CXTPControlButton
{
    DECLARE_DYNCREATE(CXTPControlToolbars)
public:
    // One toolbar's item: shows or hides its bar.
    class CXTPControlToolbar : public CXTPControlButton
    {
        DECLARE_DYNCREATE(CXTPControlToolbar)
    public:
        CXTPControlToolbar();
        virtual void OnExecute();
        virtual CXTPControl* Clone(BOOL bRecursive = FALSE);
        int m_nIndex;   // the bar's index in the command bars
    };

    CXTPControlToolbars();
    virtual void OnCalcDynamicSize(DWORD dwMode);
    virtual BOOL AcceptsCustomizeDrop(CXTPCommandBar* pCommandBar, CPoint point);

    // Inserts one item per toolbar into the bar at nIndex; with
    // bCustomizeCommand a "Customize..." button (35001) that begins a group
    // follows when the command bars are customizable. Returns the count added.
    static int AFX_CDECL CreateToolbarMenu(CXTPCommandBar* pPopupBar, int nIndex, int nID, BOOL bCustomizeCommand,
                                           BOOL bBeginGroup);
};

// The placeholder for the OLE verbs of the selected item.
class CXTPControlOleItems : public CXTPControlButton
{
    DECLARE_DYNCREATE(CXTPControlOleItems)
public:
    CXTPControlOleItems();
    virtual void OnCalcDynamicSize(DWORD dwMode);
    virtual BOOL AcceptsCustomizeDrop(CXTPCommandBar* pCommandBar, CPoint point);
};

// The placeholder for the recent-file list.
class CXTPControlRecentFileList : public CXTPControlButton
{
    DECLARE_DYNCREATE(CXTPControlRecentFileList)
public:
    CXTPControlRecentFileList();
    virtual void OnCalcDynamicSize(DWORD dwMode);
    virtual BOOL AcceptsCustomizeDrop(CXTPCommandBar* pCommandBar, CPoint point);
    virtual CRecentFileList* GetRecentFileList();
    virtual int GetFirstMruID() { return 57616; }
};

// The placeholder for the tab-group actions of a tabbed MDI client.
class CXTPControlWorkspaceActions : public CXTPControlButton
{
    DECLARE_DYNCREATE(CXTPControlWorkspaceActions)
public:
    CXTPControlWorkspaceActions();
    virtual void OnCalcDynamicSize(DWORD dwMode);
};

// Text only (control type 8); never selected.
class CXTPControlLabel : public CXTPControl
{
    DECLARE_DYNCREATE(CXTPControlLabel)
public:
    CXTPControlLabel();
    virtual int GetSelected() const { return 0; }
    virtual void OnClick(BOOL bKeyboard = FALSE, CPoint pt = CPoint(0, 0));
};

// A button drawn as a check box (type 9).
class CXTPControlCheckBox : public CXTPControlButton
{
    DECLARE_DYNCREATE(CXTPControlCheckBox)
public:
    CXTPControlCheckBox();
};

// A button drawn as a radio button (type 11).
class CXTPControlRadioButton : public CXTPControlButton
{
    DECLARE_DYNCREATE(CXTPControlRadioButton)
public:
    CXTPControlRadioButton();
};

// A grid of cells from which the user picks a size by dragging.
class CXTPControlSelector : public CXTPControl
{
    DECLARE_DYNCREATE(CXTPControlSelector)
public:
    CXTPControlSelector();

    virtual CSize GetSize(CDC* pDC);
    virtual void Draw(CDC* pDC);
    virtual void OnCalcDynamicSize(DWORD dwMode);
    virtual void OnMouseMove(CPoint point);
    virtual BOOL OnSetSelected(int bSelected);
    virtual void OnLButtonUp(CPoint point);
    virtual void Copy(CXTPControl* pControl, BOOL bRecursive = FALSE);
    virtual void DoPropExchange(CXTPPropExchange* pPX);
    // Paints something into one cell; nothing here.
    virtual void DrawItem(CDC* pDC, CRect rcItem, COLORREF clrText) {}

    void SetSelectedSize(CSize szSelected, BOOL bForce = FALSE);
    CSize GetSelectedSize() const { return m_szSelected; }
    CSize GetChosenSize() const { return m_szResult; }
    CSize GetVisibleSize() const { return m_szItemsVisible; }
    CSize GetItemSize() const { return m_szItem; }
    void SetItemSize(CSize sz);
    void SetItemsCount(CSize sz) { m_szItemsCount = sz; }
    void SetItemsMax(CSize sz) { m_szItemsMax = sz; }

    // A cell smaller than this (a broken stored size) takes the default.
    enum { nMinItemSize = 4, nDefaultItemSize = 28, nMaxItems = 100 };

public:
    CSize m_szItemsCount;
    CSize m_szItemsMax;
    CSize m_szSelected;
    CSize m_szItem;
    CSize m_szResult;
    CSize m_szItemsVisible;
    BOOL m_bLockUpdate;     // the bar is laid out again for a grown grid
};
