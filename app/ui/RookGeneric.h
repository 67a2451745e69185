// The generic pair of profile dialogs: a list dialog that shows the items of
// one kind in a list control with Add, Amend, Delete and Close buttons, and
// an info dialog that edits one item. Neither knows the item types: an
// object creator, given a type number, makes the list control to show and,
// for each button press, a fresh info dialog.
#pragma once

#include "FennDialog.h"
#include "FennListCtrl.h"
#include "Vant_XTButton.h"

class CRookGenericListCtrl;
class CRookGenericInfoDlg;

// Control ids of the list dialogs' templates.
#define IDC_ROOK_LIST 1006
#define IDC_ROOK_ADD 1007
#define IDC_ROOK_AMEND 1008
#define IDC_ROOK_DELETE 1009

// Makes the list controls and info dialogs of the list dialogs. The caller
// owns what it gets and deletes it through the virtual destructor.
class CRookGenericObjectCreator
{
public:
    virtual ~CRookGenericObjectCreator() {}

    // A new list control for the type; null for an unknown type (or when
    // memory runs out).
    virtual CRookGenericListCtrl* CreateListCtrl(int* pnType) = 0;
    // A new info dialog for the type; null likewise.
    virtual CRookGenericInfoDlg* CreateInfoDlg(int* pnType) = 0;
    // A third kind of object; nothing asks for it.
    virtual CObject* CreateOtherObject(int* pnType) = 0;
};

// The base of the profile list controls. SetupColumns (also called
// InitColumns) sets up the column records and the columns once the control
// is attached; FillRows (also called FillList) empties the control and
// inserts one row per item, with the item's key as the row's item data.
class CRookGenericListCtrl : public CFennListCtrlEx
{
    DECLARE_DYNAMIC(CRookGenericListCtrl)
public:
    CRookGenericListCtrl();
    virtual ~CRookGenericListCtrl();

    virtual void SetupColumns() = 0;
    virtual void FillRows() = 0;

    void InitColumns() { SetupColumns(); }
    void FillList() { FillRows(); }
};

// The base of the profile editor dialogs. InitNewProfile (also called
// InitNewItem) prepares a new item (m_nItemKey -1); LoadProfile (LoadItem)
// copies the item with the key into the dialog and sets m_nItemKey;
// DeleteProfile (DeleteItem) removes the item with the key. On OK the
// dialog adds a new item when m_nEditMode is 0 and updates item m_nItemKey
// otherwise.
class CRookGenericInfoDlg : public CFennDialog
{
    DECLARE_DYNAMIC(CRookGenericInfoDlg)
public:
    explicit CRookGenericInfoDlg(UINT nIDTemplate, CWnd* pParentWnd = NULL);
    virtual ~CRookGenericInfoDlg();

    virtual void InitNewProfile() = 0;
    virtual void LoadProfile(int* pnKey) = 0;
    virtual void DeleteProfile(int* pnKey) = 0;

    void InitNewItem() { InitNewProfile(); }
    void LoadItem(int* pnKey) { LoadProfile(pnKey); }
    void DeleteItem(int* pnKey) { DeleteProfile(pnKey); }
};

class CRookGenericListDlg : public CFennDialog
{
    DECLARE_DYNAMIC(CRookGenericListDlg)
public:
    explicit CRookGenericListDlg(UINT nIDTemplate, CWnd* pParentWnd = NULL);
    virtual ~CRookGenericListDlg();

    virtual BOOL OnInitDialog();
    // Detaches and deletes the list control, lowers the open-dialog count
    // and destroys the window.
    virtual BOOL DestroyWindow();
    // Refills the list; Amend and Delete are enabled only while it has rows.
    virtual void RefreshList();

    // The number of list dialogs shown now, nested ones included, and the
    // top edge of the first one.
    static int AFX_CDECL GetOpenCount() { return s_nOpenCount; }

public:
    CVant_XTButton m_btnClose;     // 2
    CVant_XTButton m_btnDelete;    // 1009
    CVant_XTButton m_btnAmend;     // 1008
    CVant_XTButton m_btnAdd;       // 1007
    CRookGenericObjectCreator* m_pObjectCreator;   // not owned; set by the owner
    int m_nListCtrlType;           // -1
    int m_nInfoDlgType;            // -1
    CRookGenericListCtrl* m_pListCtrl;   // owned, from OnInitDialog to DestroyWindow
    CRookGenericInfoDlg* m_pInfoDlg;     // owned while a button handler runs
    CString m_strTitle;
    int m_nSelectedIndex;          // the item chosen with OK (set by the derived dialogs); -1

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    afx_msg void OnAdd();
    afx_msg void OnAmend();
    afx_msg void OnDelete();
    afx_msg void OnDblClkList(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

    // A new info dialog from the creator; null (and the message shown) when
    // there is none.
    CRookGenericInfoDlg* CreateInfoDlg();
    // The selected row, or -1 (and the message of the string shown).
    int GetSelectedRow(UINT nIDNoSelection);
    void DeleteInfoDlg();

    static int s_nOpenCount;
    static int s_nFirstTop;

private:
    bool m_bCounted;   // this dialog is in the open-dialog count
};
