// The base of every game dialog: tooltips for its controls without any
// per-dialog code (a control's tooltip is the string-table entry whose id is
// the control's id), and a dialog that swallows the F1 help request.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>

// The tip colours of the game's dialogs.
#define ROOK_TOOLTIP_BACK_COLOUR RGB(181, 189, 210)
#define ROOK_TOOLTIP_TEXT_COLOUR RGB(255, 255, 255)

class CRookToolTipHelper
{
public:
    CRookToolTipHelper();
    virtual ~CRookToolTipHelper();

    // Creates the tooltip control of the dialog (unless the no-tooltips
    // flag is set) and adds every direct child whose control id has a
    // string as a tool with that text. Buttons 1 and 2 get no tool. TRUE.
    BOOL CreateToolTips(CWnd* pDialog);
    // Hands a mouse message to the tooltip control, as coming from the
    // dialog's direct child that contains the window under the mouse. TRUE.
    BOOL RelayToolTipEvent(const MSG* pMsg, CWnd* pDialog);

public:
    CToolTipCtrl m_wndToolTip;
    bool m_bToolTipsCreated;   // the tooltip control exists (the dialog's initialised flag)
    bool m_bNoToolTips;        // no tooltip control and no relaying
};

class CFennDialog : public CDialog, public CRookToolTipHelper
{
    DECLARE_DYNAMIC(CFennDialog)
public:
    explicit CFennDialog(UINT nIDTemplate, CWnd* pParentWnd = NULL);
    virtual ~CFennDialog();

    virtual BOOL OnInitDialog();
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // Runs the dialog modally. A dialog given no parent is owned by the
    // game's main window (see GetGameDialogOwner), whichever of its windows
    // was active last, and is counted as open while it runs.
    virtual INT_PTR DoModal();

public:
    int m_nEditMode;   // 0: the info dialog adds a new item; 1: it amends one
    int m_nItemKey;    // the key of the item amended; -1 for none

protected:
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()
};

// The owner of a game dialog or question given no parent: the main window,
// in front of which it opens centred. While a dialog of the game holds the
// main window disabled, that dialog owns the new one instead, so that it
// waits for the new one. A floating window of the main window (a pane, a
// toolbar) is never the owner, even when it was clicked last. NULL without a
// main window.
CWnd* AFXAPI GetGameDialogOwner();

// Counts the game's modal dialogs and questions while they are open: one
// scope a dialog or question. A question answered by a replacement (tests,
// unattended runs) opens such a scope itself.
class CGameDialogScope
{
public:
    CGameDialogScope();
    ~CGameDialogScope();
    // The number of the game's dialogs and questions open now.
    static int AFXAPI GetOpenCount();

private:
    CGameDialogScope(const CGameDialogScope&);
    CGameDialogScope& operator=(const CGameDialogScope&);
};

// A game dialog in which F1 shows no help.
class CSubvertedHelpDlg : public CFennDialog
{
    DECLARE_DYNAMIC(CSubvertedHelpDlg)
public:
    explicit CSubvertedHelpDlg(UINT nIDTemplate, CWnd* pParentWnd = NULL);

protected:
    afx_msg BOOL OnHelpInfo(HELPINFO* pHelpInfo);
    DECLARE_MESSAGE_MAP()
};
