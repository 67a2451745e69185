// The Customize dialog of the command bars: a property sheet that puts every
// bar of its command bars into customize mode while it is open. It brings
// the Toolbars and Commands pages; the program adds further pages (Keyboard,
// Options) before it shows it. A right click on a control of a bar while the
// sheet runs opens the sheet's customise context menu.
#pragma once

#include <afxpropsheet.h>
#include "XTPCommandBarsDefines.h"
#include "XTPControlButton.h"
#include "XTPControlEdit.h"
#include "XTPPopupBar.h"
#include "XTPSheetTabCtrl.h"

class CXTPCommandBars;
class CXTPPopupBar;
class CXTPImageManager;
class CXTPImageManagerIconHandle;
class CXTPCustomizeToolbarsPage;
class CXTPCustomizeCommandsPage;

class CXTPCustomizeSheet : public CPropertySheet
{
    DECLARE_DYNAMIC(CXTPCustomizeSheet)
public:
    // A context-menu button whose command goes to the sheet.
    class CCustomizeButton : public CXTPControlButton
    {
        DECLARE_DYNCREATE(CCustomizeButton)
    public:
        CCustomizeButton() {}
    };
    // The "&Name:" box of the context menu: it reports its text when it is
    // executed and when it loses the selection while its window has focus.
    class CCustomizeEdit : public CXTPControlEdit
    {
        DECLARE_DYNCREATE(CCustomizeEdit)
    public:
        CCustomizeEdit() {}
        virtual BOOL OnSetSelected(int bSelected);
    };

    // The context menu and its image palette work as ordinary menus while
    // the bars are in customize mode: their controls execute instead of
    // being dragged, and their update handlers run.
    class CCustomizeContextMenu : public CXTPPopupBar
    {
    public:
        virtual BOOL IsCustomizeMode() { return FALSE; }
        // The menu belongs to customizing, where every menu opens full: no
        // entry (the image palette is empty until first shown) waits behind
        // the expand button of a short menu.
        virtual CSize CalcDynamicLayout(int nLength, DWORD dwMode)
        {
            m_bExpanded = TRUE;
            return CXTPPopupBar::CalcDynamicLayout(nLength, dwMode);
        }
    };
    class CCustomizePalette : public CXTPPopupToolBar
    {
    public:
        virtual BOOL IsCustomizeMode() { return FALSE; }
    };

    explicit CXTPCustomizeSheet(CXTPCommandBars* pCommandBars, UINT iSelectPage = 0);
    virtual ~CXTPCustomizeSheet();

    // Runs the sheet; 2 (IDCANCEL) at once when a customize sheet already runs.
    virtual INT_PTR DoModal();
    // Adds a page whose dialog template comes from the toolkit's resource
    // manager when the page names one by id.
    void AddPage(CPropertyPage* pPage);

    CXTPCommandBars* GetCommandBars() const { return m_pCommandBars; }
    CXTPCustomizeToolbarsPage* GetToolbarsPage() const { return m_pPageToolbars; }
    CXTPCustomizeCommandsPage* GetCommandsPage() const { return m_pPageCommands; }
    CXTPPopupBar* GetContextMenu() const { return m_pContextMenu; }
    // The stock images of "Change Button Image", read on the first call.
    CXTPImageManager* GetCustomIcons()
    {
        LoadCustomIcons();
        return m_pCustomIcons;
    }
    // Whether a customize sheet is running in this process.
    static BOOL AFX_CDECL IsRunning();
    static CXTPCustomizeSheet* AFX_CDECL GetRunningSheet();

    // Opens the customise context menu for the selected control at the
    // screen point. Without bEditsKept the control's bar does not keep what
    // is done to its controls (the bar is made afresh on every start): the
    // menu then offers only what changes nothing, copying the image.
    virtual void ContextMenu(CPoint ptScreen, BOOL bEditsKept = TRUE);

    // Lets the user edit a button image in the button editor. With an image
    // given it is edited, else a blank image of szIcon. TRUE with the new
    // image in hResult when the editor ended with OK.
    virtual BOOL EditButtonImage(CXTPImageManagerIconHandle* pImage, CSize szIcon,
                                 CXTPImageManagerIconHandle& hResult);
    // The control whose image the button editor is editing; NULL while no
    // editor is open. While one is, nothing else in customize mode changes
    // the bars: the hooks hold clicks on the frame, its bars and the sheet,
    // the context menu does not open and no drag starts.
    CXTPControl* GetEditedControl() const { return m_pEditedControl; }

    virtual BOOL OnInitDialog();
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    // The context-menu commands (also called by tests).
    afx_msg void OnResetControl();
    afx_msg void OnDeleteControl();
    afx_msg void OnCopyButtonImage();
    afx_msg void OnPasteButtonImage();
    afx_msg void OnResetButtonImage();
    afx_msg void OnEditButtonImage();
    afx_msg void OnStyle(UINT nID);
    afx_msg void OnBeginGroup();
    afx_msg void OnUpdateResetControl(CCmdUI* pCmdUI);
    afx_msg void OnUpdateAlways(CCmdUI* pCmdUI);
    afx_msg void OnUpdateCopyButtonImage(CCmdUI* pCmdUI);
    afx_msg void OnUpdatePasteButtonImage(CCmdUI* pCmdUI);
    afx_msg void OnUpdateResetButtonImage(CCmdUI* pCmdUI);
    afx_msg void OnUpdateStyle(CCmdUI* pCmdUI);
    afx_msg void OnUpdateBeginGroup(CCmdUI* pCmdUI);
    afx_msg LRESULT OnInitCommandsPopup(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnControlCommand(WPARAM wParam, LPARAM lParam);
    // The frame's enabled state reaches its owned windows (FS_ENABLE,
    // FS_DISABLE): the sheet follows it.
    afx_msg LRESULT OnFloatStatus(WPARAM wParam, LPARAM lParam);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    // While a modal window holds the sheet under a window manager: the
    // timer that looks whether the window manager raised the sheet over it.
    enum { kHeldTimer = 0xE7F2, kHeldCheckMilliseconds = 200 };

    // The control the context menu acts on: the command bars' drag control.
    CXTPControl* GetSelectedControl() const;
    // Whether the control shows an image (types 1 to 4 with an icon id).
    static BOOL AFX_CDECL HasImage(CXTPControl* pControl);
    // Applies the caption the "&Name:" box reported.
    void SetSelectedCaption(LPCTSTR lpszCaption);
    // Gives the selected control a copy of the stock image (1 to N).
    BOOL ApplyStockImage(UINT nStockId);

    // Whether the hooks let a message reach its window while the sheet runs.
    BOOL FilterMouse(UINT nMessage, HWND hWndTarget, CPoint ptScreen);
    BOOL FilterKeyboard();

protected:
    void BuildContextMenu();
    void LoadCustomIcons();
    void RecalcSelectedParent();
    static LRESULT CALLBACK MouseHookProc(int nCode, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK KeyboardHookProc(int nCode, WPARAM wParam, LPARAM lParam);
    BOOL IsOwnBar(HWND hWnd) const;
    // Gives the edited control the image the editor returned, unless the
    // control has left its bar meanwhile.
    void ApplyEditedImage(CXTPControl* pControl, CXTPCommandBar* pParent, CSize szIcon,
                          CXTPImageManagerIconHandle& hImage);
    // Whether a control other than pControl, on any bar or menu of the
    // command bars, shows the custom icon nIconId.
    BOOL IsCustomIconShared(CXTPControl* pControl, int nIconId) const;

    CXTPCommandBars* m_pCommandBars;
    CWnd* m_pSiteWnd;
    CXTPCustomizeToolbarsPage* m_pPageToolbars;
    CXTPCustomizeCommandsPage* m_pPageCommands;
    CXTPPopupBar* m_pContextMenu;
    CXTPImageManager* m_pCustomIcons;
    int m_nCustomIconCount;
    BOOL m_bCustomIconsLoaded;
    CXTPControl* m_pEditedControl;   // referenced while the button editor runs
    CXTPSheetTabCtrl m_wndTab;   // the sheet's tab control, painted around the page

    DECLARE_MESSAGE_MAP()
};
