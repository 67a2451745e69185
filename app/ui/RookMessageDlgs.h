// The game's message dialogs: an information box with one button, a
// two-button question and a three-button question, each with the game's
// picture at the left; free functions show them in one call. Also two
// window helpers used around dialogs.
#pragma once

#include "FennDialog.h"
#include "Vant_XTButton.h"

class CRookInfoMsgDlg : public CSubvertedHelpDlg
{
    DECLARE_DYNAMIC(CRookInfoMsgDlg)
public:
    CRookInfoMsgDlg();

    virtual BOOL OnInitDialog();

public:
    CVant_XTButton m_btnOK;      // 1
    CString m_strMessage;        // text of control 1003
    static CString s_strOKCaption;

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
};

class CRookYesNoDlg : public CSubvertedHelpDlg
{
    DECLARE_DYNAMIC(CRookYesNoDlg)
public:
    CRookYesNoDlg();

    virtual BOOL OnInitDialog();

public:
    CVant_XTButton m_btnYes;     // 1
    CVant_XTButton m_btnNo;      // 2
    CString m_strMessage;
    static CString s_strYesCaption;
    static CString s_strNoCaption;

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
};

class CRookYesNoCancelDlg : public CSubvertedHelpDlg
{
    DECLARE_DYNAMIC(CRookYesNoCancelDlg)
public:
    CRookYesNoCancelDlg();

    virtual BOOL OnInitDialog();

public:
    CVant_XTButton m_btnYes;     // 6
    CVant_XTButton m_btnNo;      // 7
    CVant_XTButton m_btnCancel;  // 2
    CString m_strMessage;
    static CString s_strYesCaption;
    static CString s_strNoCaption;
    static CString s_strCancelCaption;

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    afx_msg void OnYes();
    afx_msg void OnNo();
    DECLARE_MESSAGE_MAP()
};

// The information box with the text of a string id (tooltips off).
INT_PTR AFXAPI ShowInfoMessageId(UINT nIDString);
// The two-button question: 1 (IDOK) for the first button, 2 (IDCANCEL) for
// the second button, Esc or the close box.
INT_PTR AFXAPI ShowYesNoMessage(const CString& strMessage, const CString& strYes, const CString& strNo);
// The three-button question: 6 (IDYES), 7 (IDNO) or 2 (IDCANCEL, also Esc
// and the close box).
INT_PTR AFXAPI ShowYesNoCancelMessage(const CString& strMessage, const CString& strYes, const CString& strNo,
                                      const CString& strCancel);

// Replacements of the two questions (tests and unattended runs, where a
// modal dialog would block); NULL restores the dialog. Each returns the
// previous replacement.
typedef INT_PTR(AFXAPI* PFN_SHOWYESNOMESSAGE)(const CString& strMessage, const CString& strYes,
                                              const CString& strNo);
typedef INT_PTR(AFXAPI* PFN_SHOWYESNOCANCELMESSAGE)(const CString& strMessage, const CString& strYes,
                                                    const CString& strNo, const CString& strCancel);
PFN_SHOWYESNOMESSAGE AFXAPI SetYesNoMessageHandler(PFN_SHOWYESNOMESSAGE pfnHandler);
PFN_SHOWYESNOCANCELMESSAGE AFXAPI SetYesNoCancelMessageHandler(PFN_SHOWYESNOCANCELMESSAGE pfnHandler);

// Moves the window, keeping its size and Z order, so that a rectangle of its
// client size is centred on the screen.
void AFXAPI CenterOnScreen(CWnd* pWnd);
// Centres the window on its owner (the game's window, where the player is
// looking); on the screen as above when it has no visible owner.
void AFXAPI CenterOnOwner(CWnd* pWnd);
