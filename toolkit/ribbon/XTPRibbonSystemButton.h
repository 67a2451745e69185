// The ribbon's system button and its menu: the round button at the ribbon's
// top-left corner opens a themed popup with a command list on the left, a
// second column (typically the recent files) on a coloured background, pages
// that open beside the list and a strip of buttons along the bottom edge.
#pragma once

#include "XTPControlButton.h"
#include "XTPControlPopup.h"
#include "XTPPopupBar.h"

class CXTPOffice2007ImageStore;
class CRecentFileList;

// The round button over the caption and tab rows.
class CXTPRibbonControlSystemButton : public CXTPControlPopup
{
    DECLARE_DYNCREATE(CXTPRibbonControlSystemButton)
public:
    CXTPRibbonControlSystemButton();

    virtual void Draw(CDC* pDC);
    // Closes the popups and the frame (SC_CLOSE).
    virtual BOOL OnLButtonDblClk(CPoint point);
    virtual CXTPControl* Clone(BOOL bRecursive = FALSE);
    // Over a ribbon with its caption and tabs the system menu overlaps the
    // lower part of the button.
    virtual void AdjustExcludeRect(CRect& rc, BOOL bVertical);
};

// The system menu.
class CXTPRibbonSystemPopupBar : public CXTPPopupBar
{
    DECLARE_DYNCREATE(CXTPRibbonSystemPopupBar)
public:
    CXTPRibbonSystemPopupBar();

    virtual CRect GetBorders();
    // The base layout, with the bottom-strip buttons placed right-aligned
    // in the bottom border, 6 pixels apart.
    virtual CSize CalcDynamicLayout(int nLength, DWORD dwMode);
    virtual void FillBackground(CDC* pDC);
    virtual CXTPCommandBar* Clone(BOOL bRecursive = FALSE);
    virtual BOOL SetTrackingMode(int bMode, BOOL bSelectFirst = TRUE, BOOL bKeyboard = FALSE);

    // The system button that opened the menu, or NULL.
    CXTPRibbonControlSystemButton* GetSystemButton() const;
    // TRUE when a screen point lies on the system button that opened the
    // menu: there the menu lets clicks through to the button.
    BOOL IsOnSystemButton(CPoint ptScreen) const;

protected:
    afx_msg LRESULT OnNcHitTest(CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    // Under Wine a press on a top-level window that lets it through (answers
    // HTTRANSPARENT) is dropped instead of reaching the window beneath, so
    // the part of the button the open menu covers would take no click. While
    // the menu is open there, a low-level mouse hook hands such presses to
    // the button's bar.
    void PassPressesOnCoveredButton(BOOL bPass);
    BOOL PassPressOnCoveredButton(CPoint ptScreen);
    static LRESULT CALLBACK CoveredButtonMouseProc(int nCode, WPARAM wParam, LPARAM lParam);
};

// A popup opened from an item of the system menu, beside the list.
class CXTPRibbonSystemPopupBarPage : public CXTPPopupBar
{
    DECLARE_DYNCREATE(CXTPRibbonSystemPopupBarPage)
public:
    CXTPRibbonSystemPopupBarPage();

    virtual CSize CalcDynamicLayout(int nLength, DWORD dwMode);
    virtual CXTPCommandBar* Clone(BOOL bRecursive = FALSE);
    virtual void AdjustExcludeRect(CRect& rc, BOOL bVertical);

    // The system menu the page was opened from, or NULL.
    CXTPRibbonSystemPopupBar* GetSystemPopupBar() const;
};

// A button of the bottom strip, drawn on the theme's button picture.
class CXTPRibbonControlSystemPopupBarButton : public CXTPControlButton
{
    DECLARE_DYNCREATE(CXTPRibbonControlSystemPopupBarButton)
public:
    CXTPRibbonControlSystemPopupBarButton();

    virtual CSize GetSize(CDC* pDC);
    virtual void Draw(CDC* pDC);
    virtual CXTPControl* Clone(BOOL bRecursive = FALSE);
};

// An entry of a list column (a recent file), 300 x 21.
class CXTPRibbonControlSystemPopupBarListItem : public CXTPControlButton
{
    DECLARE_DYNCREATE(CXTPRibbonControlSystemPopupBarListItem)
public:
    CXTPRibbonControlSystemPopupBarListItem();

    virtual CSize GetSize(CDC* pDC);
    virtual void Draw(CDC* pDC);
    virtual CXTPControl* Clone(BOOL bRecursive = FALSE);
};

// The caption of a list column, 300 x 27; it begins a new column.
class CXTPRibbonControlSystemPopupBarListCaption : public CXTPControl
{
    DECLARE_DYNCREATE(CXTPRibbonControlSystemPopupBarListCaption)
public:
    CXTPRibbonControlSystemPopupBarListCaption();

    virtual CSize GetSize(CDC* pDC);
    virtual void Draw(CDC* pDC);
    virtual CXTPControl* Clone(BOOL bRecursive = FALSE);
};

// The recent-file column: its caption, followed by one list item per recent
// file (ids from 57616), rebuilt each time its popup lays out.
class CXTPRibbonControlSystemRecentFileList : public CXTPRibbonControlSystemPopupBarListCaption
{
    DECLARE_DYNCREATE(CXTPRibbonControlSystemRecentFileList)
public:
    CXTPRibbonControlSystemRecentFileList();

    virtual CSize GetSize(CDC* pDC);
    virtual void Draw(CDC* pDC);
    virtual void OnCalcDynamicSize(DWORD dwMode);
    virtual CXTPControl* Clone(BOOL bRecursive = FALSE);
    virtual int GetFirstId() const { return 57616; }

    // The application's recent-file list (NULL without one).
    virtual CRecentFileList* GetRecentFileList();
    // The name a path shows: its last part, whatever its length.
    static CString AFX_CDECL GetFileTitle(const CString& strPath);
};

// The image store the ribbon's system menu draws from: the paint manager's
// when it is an Office 2007 theme, else the shared one.
CXTPOffice2007ImageStore* AFX_CDECL XTPRibbonImageStore(CXTPPaintManager* pPaintManager);
