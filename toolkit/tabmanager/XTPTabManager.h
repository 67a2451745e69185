// Tab manager: the model and the mouse and keyboard logic of one strip of
// tabs. It owns no window; the class that derives from it owns the window,
// forwards input to it, supplies the paint manager that lays the strip out
// and draws it, and redraws its window on request.
#pragma once

#include <XTPCommon.h>
#include <XTPWinThemeWrapper.h>
#include <afxtempl.h>

class CXTPTabManager;
class CXTPTabPaintManager;
class CXTPImageManagerIcon;

// Tab positions.
enum XTPTabPosition
{
    xtpTabPositionTop = 0,
    xtpTabPositionLeft = 1,
    xtpTabPositionBottom = 2,
    xtpTabPositionRight = 3
};

// Layout styles of a strip.
enum XTPTabLayoutStyle
{
    xtpTabLayoutAutoSize = 0,
    xtpTabLayoutSizeToFit = 1,
    xtpTabLayoutFixed = 2,
    xtpTabLayoutCompressed = 3,
    xtpTabLayoutMultiRow = 4,
    xtpTabLayoutRotated = 5
};

// Navigate buttons and their show modes.
enum XTPTabNavigateButton
{
    xtpTabNavigateButtonLeft = 0,
    xtpTabNavigateButtonRight = 1,
    xtpTabNavigateButtonClose = 2
};

enum XTPTabNavigateButtonFlags
{
    xtpTabNavigateButtonNone = 0,
    xtpTabNavigateButtonAutomatic = 1,
    xtpTabNavigateButtonAlways = 2
};

// Automatic item colours: 0x1000000 + n stands for entry n of the table.
#define XTP_TABCOLOR_AUTOMATIC_FIRST 0x1000000
#define XTP_TABCOLOR_AUTOMATIC_COUNT 8

// Tooltip strings of the navigate buttons.
#define XTP_IDS_TABNAVIGATEBUTTON_LEFT 9800
#define XTP_IDS_TABNAVIGATEBUTTON_RIGHT 9801
#define XTP_IDS_TABNAVIGATEBUTTON_CLOSE 9802

// What the paint manager keeps in its list of registered strips: it tells
// each of them when a setting changed.
class CXTPTabManagerAtom
{
public:
    virtual void OnPropertyChanged() { Reposition(); }
    virtual ~CXTPTabManagerAtom() {}
    // Lays the strip out again and redraws it.
    virtual void Reposition() = 0;
};

// One tab.
class CXTPTabManagerItem : public CCmdTarget
{
    DECLARE_DYNAMIC(CXTPTabManagerItem)
public:
    CXTPTabManagerItem();
    virtual ~CXTPTabManagerItem();

    CString GetCaption() const;
    void SetCaption(LPCTSTR lpszCaption);
    CString GetTooltip() const { return m_strToolTip; }
    void SetTooltip(LPCTSTR lpszToolTip) { m_strToolTip = lpszToolTip; }
    virtual void SetVisible(BOOL bVisible);
    BOOL IsVisible() const { return m_bVisible; }
    void SetEnabled(BOOL bEnabled);
    BOOL IsEnabled() const { return m_bEnabled; }
    DWORD_PTR GetData() const { return m_dwData; }
    void SetData(DWORD_PTR dwData) { m_dwData = dwData; }
    int GetImageIndex() const { return m_nImage; }
    void SetImageIndex(int nImage) { m_nImage = nImage; }
    void SetColor(COLORREF clr);
    COLORREF GetColor();
    void Select();
    BOOL IsSelected() const;
    BOOL IsHighlighted() const;
    BOOL IsPressed() const;
    BOOL IsClosable() const { return m_bClosable; }
    void SetClosable(BOOL bClosable) { m_bClosable = bClosable; }
    int GetIndex() const { return m_nIndex; }
    CRect GetRect() const { return m_rcItem; }
    void SetRect(const CRect& rc) { m_rcItem = rc; }
    int GetButtonLength() const { return m_nButtonLength; }
    int GetContentLength() const { return m_nContentLength; }
    CXTPTabManager* GetTabManager() const { return m_pTabManager; }
    // Asks the owner to lay its strip out again (nothing without an owner).
    void NotifyOwner();
    // Draws the item's icon in the state the item is in, turned on
    // left/right strips when the paint manager rotates images.
    void DrawImage(CDC* pDC, CRect rcIcon, CXTPImageManagerIcon* pImage);
    // Called by the owner just before it releases the item.
    virtual void OnRemoved() {}

public:
    int m_nButtonLength;
    int m_nContentLength;
    int m_nItemWord;       // not read by the strips
    int m_nIndex;
    BOOL m_bEnabled;
    BOOL m_bVisible;
    DWORD_PTR m_dwData;
    int m_nImage;
    int m_nItemWord2;      // not read by the strips
    CRect m_rcItem;
    CString m_strCaption;
    CString m_strToolTip;
    COLORREF m_clrItem;
    CXTPTabManager* m_pTabManager;
    int m_nItemRow;
    BOOL m_bClosable;
    int m_nItemWord3;      // not read by the strips
};

// One strip of tabs.
class CXTPTabManager : public CXTPTabManagerAtom
{
public:
    // A button at the far end of the strip.
    class CNavigateButton
    {
    public:
        CNavigateButton(CXTPTabManager* pManager, int nID, int nShowMode);
        virtual ~CNavigateButton() {}

        // Takes the button's extent off an available length.
        virtual void AdjustWidth(int& nWidth);
        // The press loop: runs until the button is released or the press
        // is cancelled.
        virtual void PerformClick(HWND hWnd, CPoint pt);
        // Places the button at the far end of the header and takes its room.
        virtual void Reposition(CRect& rcHeader);
        virtual void DrawGlyph(CDC* pDC, CRect rc) = 0;
        // tick TRUE: one repeat while held; FALSE: the click on release.
        virtual void OnExecute(BOOL bTick);

        void Draw(CDC* pDC);
        int GetID() const { return m_nID; }
        CRect GetRect() const { return m_rcButton; }
        BOOL IsEnabled() const { return m_bEnabled; }
        BOOL IsPressed() const { return m_bPressed; }
        BOOL IsHighlighted() const { return m_bHot; }
        BOOL IsVisible() const { return !m_rcButton.IsRectEmpty(); }
        int GetShowMode() const { return m_nShowMode; }
        void SetShowMode(int nShowMode) { m_nShowMode = nShowMode; }
        CString GetTooltip() const { return m_strToolTip; }
        void SetTooltip(LPCTSTR lpszToolTip) { m_strToolTip = lpszToolTip; }

    public:
        int m_nID;
        int m_nShowMode;
        int m_nWidth;
        int m_nHeight;
        CXTPTabManager* m_pManager;
        CRect m_rcButton;
        BOOL m_bEnabled;
        BOOL m_bPressed;
        BOOL m_bHot;
        CString m_strToolTip;
    };

    class CNavigateButtonArrow : public CNavigateButton
    {
    public:
        CNavigateButtonArrow(CXTPTabManager* pManager, int nID, int nShowMode)
            : CNavigateButton(pManager, nID, nShowMode) {}
        virtual void AdjustWidth(int& nWidth);
        virtual void Reposition(CRect& rcHeader);
        virtual void OnExecute(BOOL bTick);
    };

    class CNavigateButtonArrowLeft : public CNavigateButtonArrow
    {
    public:
        CNavigateButtonArrowLeft(CXTPTabManager* pManager, int nShowMode);
        virtual void DrawGlyph(CDC* pDC, CRect rc);
        virtual void Reposition(CRect& rcHeader);
    };

    class CNavigateButtonArrowRight : public CNavigateButtonArrow
    {
    public:
        CNavigateButtonArrowRight(CXTPTabManager* pManager, int nShowMode);
        virtual void DrawGlyph(CDC* pDC, CRect rc);
        virtual void Reposition(CRect& rcHeader);
    };

    class CNavigateButtonClose : public CNavigateButton
    {
    public:
        CNavigateButtonClose(CXTPTabManager* pManager, int nShowMode);
        virtual void DrawGlyph(CDC* pDC, CRect rc);
    };

    // Multi-row layout: the first and last item index of every row.
    class CRowIndexer
    {
    public:
        struct ROW
        {
            int nFirstItem;
            int nLastItem;
        };
        explicit CRowIndexer(CXTPTabManager* pManager);
        ~CRowIndexer();
        // Sets the row count (reallocating only when it changes); row 0
        // then spans every item.
        ROW* CreateIndexer(int nRowCount);
        int GetRowCount() const { return m_nRowCount; }
        ROW* GetRow(int nRow) const { return nRow >= 0 && nRow < m_nRowCount ? &m_pRows[nRow] : NULL; }

    private:
        CRowIndexer(const CRowIndexer&);
        CRowIndexer& operator=(const CRowIndexer&);
        CXTPTabManager* m_pManager;
        int m_nRowCount;
        ROW* m_pRows;
    };

    CXTPTabManager();
    virtual ~CXTPTabManager();

    // Overridables, in the order derived strips meet them.
    virtual CString GetItemCaption(const CXTPTabManagerItem* pItem) const;
    virtual int GetItemImage(const CXTPTabManagerItem* pItem) const { return pItem->m_nImage; }
    virtual COLORREF GetItemColor(const CXTPTabManagerItem* pItem) const;
    virtual CString GetItemTooltip(const CXTPTabManagerItem* pItem) const { return pItem->m_strToolTip; }
    virtual void OnItemsChanged();
    virtual void SetSelectedItem(CXTPTabManagerItem* pItem);
    virtual void OnItemClick(CXTPTabManagerItem* pItem);
    virtual void GetItemMetrics(CSize* pszFixed, CSize* pszMin, CSize* pszMax) const;
    virtual CXTPTabPaintManager* GetPaintManager() const = 0;
    virtual void RedrawControl(LPCRECT lpRect, BOOL bAnimate) = 0;
    virtual BOOL IsAllowReorder() const { return m_bAllowReorder; }
    virtual void SetAllowReorder(BOOL bAllowReorder) { m_bAllowReorder = bAllowReorder; }
    virtual BOOL IsDrawStaticFrame() const;
    // Draws (bDraw TRUE) or only measures an item's icon; szIcon may be
    // changed to the icon's size. FALSE when the item has no icon.
    virtual BOOL DrawIcon(CDC* pDC, CPoint pt, CXTPTabManagerItem* pItem, BOOL bDraw, CSize& szIcon) const = 0;
    virtual XTPTabPosition GetPosition() const;
    virtual void ScrollByStep(int nDirection);
    virtual INT_PTR ToolHitTest(HWND hWnd, CPoint point, TOOLINFO* pTI) const;
    virtual BOOL PerformKeyDown(HWND hWnd, UINT nChar);
    virtual BOOL IsNavigateButtonEnabled(const CNavigateButton* pButton) const;
    virtual void OnSelectItem(CXTPTabManagerItem* pItem) { SetSelectedItem(pItem); }
    virtual BOOL CanSelectItem(CXTPTabManagerItem* pItem) const { return TRUE; }
    virtual void TrackReorder(HWND hWnd, CPoint point, CXTPTabManagerItem* pItem);
    virtual void OnNavigateButtonClick(int nID) {}
    virtual BOOL IsMouseLocked() const { return FALSE; }
    // TRUE makes the paint manager draw the focus rectangle on the selected item.
    virtual BOOL HasFocus() const { return FALSE; }

    // Items.
    CXTPTabManagerItem* InsertItem(int nItem, CXTPTabManagerItem* pItem = NULL);
    void DeleteAllItems();
    int GetItemCount() const { return (int)m_arrItems.GetSize(); }
    // The item at an index; an index outside the array raises the class
    // library's invalid-argument exception.
    CXTPTabManagerItem* GetItem(int nIndex) const { return m_arrItems.GetAt(nIndex); }
    void SetCurSel(int nIndex);
    int GetCurSel() const { return GetSelectedIndex(); }
    int GetSelectedIndex() const { return m_pSelected != NULL ? m_pSelected->m_nIndex : -1; }
    CXTPTabManagerItem* GetSelectedItem() const { return m_pSelected; }
    CXTPTabManagerItem* GetHighlightedItem() const { return m_pHighlighted; }
    CXTPTabManagerItem* GetPressedItem() const { return m_pPressed; }
    CXTPTabManagerItem* FindNextFocusable(int nIndex, int nDirection) const;

    // Scrolling.
    void SetScrollOffset(int nOffset);
    int GetScrollOffset() const { return m_nScrollDelta; }
    int GetItemsLength() const;
    // Scrolls the item into the visible part of the header.
    void EnsureVisible(CXTPTabManagerItem* pItem);

    // Geometry (set by the layout).
    CRect GetHeaderRect() const { return m_rcHeaderRect; }
    CRect GetControlRect() const { return m_rcControl; }
    CRect GetClientRect() const { return m_rcClient; }
    XTPTabLayoutStyle GetLayout() const;
    CRowIndexer* GetRowIndexer() const { return m_pRowIndexer; }
    int GetRowCount() const { return m_pRowIndexer->GetRowCount(); }

    // Navigate buttons.
    CNavigateButton* FindNavigateButton(int nID) const;
    int GetNavigateButtonCount() const { return (int)m_arrNavigateButtons.GetSize(); }
    CNavigateButton* GetNavigateButton(int nIndex) const { return m_arrNavigateButtons.GetAt(nIndex); }

    // Input forwarded by the owning window.
    CXTPTabManagerItem* HitTest(CPoint point) const;
    BOOL HandleMouseMove(HWND hWnd, CPoint point);
    BOOL HandleLButtonDown(HWND hWnd, CPoint point, BOOL bButtonsOnly = FALSE);

    BOOL IsActive() const { return m_bActive; }
    void SetActive(BOOL bActive) { m_bActive = bActive; }
    int GetScrollStep() const { return m_nScrollStep; }

protected:
    // Select on release: the press is tracked until the button comes up.
    void TrackClick(HWND hWnd, CPoint point, CXTPTabManagerItem* pItem);
    void HighlightItem(CXTPTabManagerItem* pItem, HWND hWnd);
    CRect GetItemDrawRect(CXTPTabManagerItem* pItem) const;

public:
    CXTPTabManagerItem* m_pSelected;
    CXTPTabManagerItem* m_pHighlighted;
    CXTPTabManagerItem* m_pPressed;
    int m_nScrollDelta;
    BOOL m_bAllowReorder;
    BOOL m_bActive;
    CRect m_rcHeaderRect;
    CRect m_rcControl;
    CRect m_rcClient;
    CArray<CXTPTabManagerItem*, CXTPTabManagerItem*> m_arrItems;
    CArray<CNavigateButton*, CNavigateButton*> m_arrNavigateButtons;
    CXTPWinThemeWrapper m_themeTabControl;
    CRowIndexer* m_pRowIndexer;
    int m_nScrollStep;

private:
    CXTPTabManager(const CXTPTabManager&);
    CXTPTabManager& operator=(const CXTPTabManager&);
};
