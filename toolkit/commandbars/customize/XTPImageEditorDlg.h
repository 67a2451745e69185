// The "Button Editor" dialog: the pixel canvas with its drawing tools, undo
// and redo, copy, paste, clear and import, four move buttons, a 16-colour
// palette with a transparent and a custom-colour swatch, and a preview of
// the image at its real size. The caller gives it an image (or an image
// size), runs it modally and, on OK, takes the edited image back.
#pragma once

#include "XTPImageEditorPicture.h"

#include <afxcmn.h>
#include <afxext.h>

class CXTPImageManagerIconHandle;

// A palette swatch: a colour (the transparent colour shows as a checker)
// drawn with a frame that shows whether it is selected. A click sends
// NM_CLICK with its id to the parent.
class CXTPImageEditorPicker : public CStatic
{
public:
    CXTPImageEditorPicker();

    COLORREF m_clr;
    BOOL m_bSelected;

    // Draws the swatch into a DC of its client size.
    void DrawPicker(CDC* pDC, CRect rc);

protected:
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()
};

// The image at its real size, framed, on the button face.
class CXTPImageEditorPreview : public CStatic
{
public:
    CXTPImageEditorPreview() : m_pParentDlg(NULL) {}

    void DrawPreview(CDC* pDC, CRect rcClient);

    CXTPImageEditorDlg* m_pParentDlg;

protected:
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

class CXTPImageEditorDlg : public CDialog
{
public:
    // A tool bar of the dialog: it updates its buttons against the dialog's
    // command handlers when the dialog is idle and shows their tooltips.
    class CDlgToolBar : public CToolBar
    {
    public:
        virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    };

    // bCustomizeMode: the dialog is a trusted window of the mouse manager
    // while it exists (the customize sheet opens it so).
    explicit CXTPImageEditorDlg(CWnd* pParent = NULL, BOOL bCustomizeMode = FALSE);
    virtual ~CXTPImageEditorDlg();

    // The image size when there is no image to edit (16 x 16 until set). An
    // empty size is refused and leaves the size as it was.
    BOOL SetIconSize(CSize sz);
    CSize GetPictureSize() const { return m_szPicture; }
    // The image to edit, copied from an icon or an alpha bitmap; the image
    // size becomes its size. FALSE for an empty or unreadable image.
    BOOL SetIcon(const CXTPImageManagerIconHandle& hIcon);
    // The edited image: an alpha bitmap, or an icon for an image without
    // alpha. Nothing (hIcon left empty) without an image.
    void GetIcon(CXTPImageManagerIconHandle* pHandle);

    // The current tool (0 to 5) and the one before it.
    int GetCurrentTool() const { return m_nCurrentTool; }
    int GetPreviousTool() const { return m_nPreviousTool; }
    // Chooses a tool as its tool-bar button does.
    void SelectTool(int nTool);
    // The colour of the selected swatch.
    COLORREF GetCurrentColor() const;
    CXTPImageEditorPicker* GetSelectedPicker() const { return m_pSelected; }
    void SelectPicker(CXTPImageEditorPicker* pPicker);
    // The pick tool's result: the custom-colour swatch takes the colour and
    // is selected, and the tool used before Pick Color is chosen again.
    void OnPickColor(COLORREF clr);
    void RedrawPreview();
    CXTPImageEditorPicture* GetPictureCtrl() { return &m_wndPicture; }

    // The tooltip of a tool-bar button: the part of lpszString after its
    // first "\n", copied into a buffer of cchText characters (at most
    // cchText - 1 of them, then the terminator). Returns the characters
    // copied.
    static int AFX_CDECL CopyToolTipText(LPCTSTR lpszString, LPSTR lpszText, int cchText);
    static int AFX_CDECL CopyToolTipText(LPCTSTR lpszString, LPWSTR lpszText, int cchText);
    // Fills a tooltip request (TTN_GETDISPINFOA or W) for a button id;
    // TRUE when it was one.
    static BOOL AFX_CDECL OnToolTipText(NMHDR* pNMHDR);

    virtual INT_PTR DoModal();

    enum { nPaletteColors = 16 };
    // The palette, row by row: colour and swatch id (the colour's name).
    static const COLORREF m_arrPaletteColors[nPaletteColors];
    static const UINT m_arrPaletteIds[nPaletteColors];

    // Whether the tool bars use the 32-bit images (common controls 6 or
    // later) or the 16-colour strip; set before the dialog is created.
    BOOL m_bAlphaToolImages;

    CButton m_wndPlaceholderTools;
    CButton m_wndPlaceholderMove;
    CDlgToolBar m_wndToolbarTools;
    CImageList m_ilTools;
    CDlgToolBar m_wndToolbarMove;
    CImageList m_ilMove;
    CXTPImageEditorPicker m_wndPicker[nPaletteColors];
    CXTPImageEditorPicker m_wndPickerCustom;
    CXTPImageEditorPicker m_wndPickerTransparent;
    CXTPImageEditorPicture m_wndPicture;
    CXTPImageEditorPreview m_wndPreview;

protected:
    virtual BOOL OnInitDialog();
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);

    afx_msg void OnDestroy();
    afx_msg LRESULT OnKickIdle(WPARAM wParam, LPARAM lParam);
    afx_msg void OnToolChoose(UINT nID);
    afx_msg void OnUpdateToolChoose(CCmdUI* pCmdUI);
    afx_msg void OnUndoCommand();
    afx_msg void OnUpdateUndo(CCmdUI* pCmdUI);
    afx_msg void OnRedoCommand();
    afx_msg void OnUpdateRedo(CCmdUI* pCmdUI);
    afx_msg void OnClearCommand();
    afx_msg void OnCopyCommand();
    afx_msg void OnPasteCommand();
    afx_msg void OnOpenCommand();
    afx_msg void OnMoveCommand(UINT nID);
    DECLARE_MESSAGE_MAP()

    BOOL CreateToolBar(CDlgToolBar& wndToolBar, CImageList& il, UINT nIDPlaceholder, const UINT* pIDs, int nCount,
                       int nFirstImage, int nWrap);
    BOOL CreateToolImages(CImageList& il, int nFirstImage);
    void OnPickerClick(UINT nID);

    CXTPImageEditorPicker* m_pSelected;
    int m_nCurrentTool;
    int m_nPreviousTool;
    CSize m_szPicture;
    BOOL m_bCustomizeMode;
};
