// The generic list dialog with a test creator: enabling, Add, Amend, Delete,
// double clicks, the creator's failures and the cascade of nested dialogs.
// ctest: run-serial
#include "support/wndtest.h"
#include "GameServices.h"
#include "RookGeneric.h"
#include "RookMessageDlgs.h"
#include "resource.h"

#include <string>
#include <utility>
#include <vector>

namespace
{
::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new testsupport::Environment);

// The items the test lists show, and what happened to them.
struct Model
{
    std::vector<std::pair<int, CString>> items;
    int nFills = 0;
    int nNextKey = 100;
    std::vector<std::string> log;
    INT_PTR nEditorAnswer = IDOK;
    bool bNoListCtrl = false;
    bool bNoInfoDlg = false;
};
Model* g_pModel = NULL;

class TestListCtrl : public CRookGenericListCtrl
{
public:
    virtual void SetupColumns()
    {
        const int nOne = 1;
        SetColumnOrderSize(&nOne);
        m_nPositionCount = 1;
        m_listColumns.Add(CListCtrlColumnInfo(0, 0, 120, "Name"));
        RebuildColumns();
    }
    virtual void FillRows()
    {
        g_pModel->nFills++;
        DeleteAllItems();
        for (const auto& item : g_pModel->items)
        {
            SetItemValue(0, item.second);
            const int nRow = InsertRow();
            SetItemData(nRow, (DWORD_PTR)item.first);
        }
    }
};

class TestInfoDlg : public CRookGenericInfoDlg
{
public:
    TestInfoDlg() : CRookGenericInfoDlg(0) {}
    virtual void InitNewProfile() { g_pModel->log.push_back("new"); }
    virtual void LoadProfile(int* pnKey) { g_pModel->log.push_back("load " + std::to_string(*pnKey)); m_nItemKey = *pnKey; }
    virtual void DeleteProfile(int* pnKey)
    {
        g_pModel->log.push_back("delete " + std::to_string(*pnKey));
        for (auto it = g_pModel->items.begin(); it != g_pModel->items.end(); ++it)
            if (it->first == *pnKey)
            {
                g_pModel->items.erase(it);
                break;
            }
    }
    // The editor answers at once, as if the player had pressed a button.
    virtual INT_PTR DoModal()
    {
        g_pModel->log.push_back("edit mode " + std::to_string(m_nEditMode));
        if (g_pModel->nEditorAnswer == IDOK && m_nEditMode == 0)
            g_pModel->items.push_back(std::make_pair(g_pModel->nNextKey++, CString("Added")));
        return g_pModel->nEditorAnswer;
    }
};

class TestCreator : public CRookGenericObjectCreator
{
public:
    virtual CRookGenericListCtrl* CreateListCtrl(int* pnType)
    {
        g_pModel->log.push_back("list type " + std::to_string(*pnType));
        return g_pModel->bNoListCtrl ? NULL : new TestListCtrl;
    }
    virtual CRookGenericInfoDlg* CreateInfoDlg(int* pnType)
    {
        return g_pModel->bNoInfoDlg ? NULL : new TestInfoDlg;
    }
    virtual CObject* CreateOtherObject(int*) { return NULL; }
};

std::vector<CString>& Messages()
{
    static std::vector<CString> list;
    return list;
}
INT_PTR AFXAPI RecordInfo(const CString& strText, bool)
{
    Messages().push_back(strText);
    return IDOK;
}
INT_PTR g_nConsent = IDOK;
INT_PTR AFXAPI RecordQuestion(const CString& strText, const CString& strYes, const CString& strNo)
{
    Messages().push_back(strText + "|" + strYes + "|" + strNo);
    return g_nConsent;
}

testsupport::DialogTemplate MakeTemplate()
{
    testsupport::DialogTemplate tmpl("Generic", WS_POPUP | WS_CAPTION, 250, 150);
    tmpl.AddItem("SysListView32", "", IDC_ROOK_LIST, LVS_REPORT | LVS_SINGLESEL | LVS_OWNERDRAWFIXED | WS_BORDER, 7, 7, 236,
                 110);
    tmpl.AddItem("BUTTON", "&Add...", IDC_ROOK_ADD, BS_PUSHBUTTON, 7, 125, 50, 14);
    tmpl.AddItem("BUTTON", "A&mend...", IDC_ROOK_AMEND, BS_PUSHBUTTON, 61, 125, 50, 14);
    tmpl.AddItem("BUTTON", "&Delete...", IDC_ROOK_DELETE, BS_PUSHBUTTON, 115, 125, 50, 14);
    tmpl.AddItem("BUTTON", "Close", IDCANCEL, BS_PUSHBUTTON, 193, 125, 50, 14);
    return tmpl;
}

class ListDialog : public CRookGenericListDlg
{
public:
    ListDialog() : CRookGenericListDlg(0)
    {
        m_pObjectCreator = &m_creator;
        m_nListCtrlType = m_nInfoDlgType = 1;
        m_strTitle = "Difficulty Profile List";
        m_bNoToolTips = true;
    }
    ~ListDialog()
    {
        if (::IsWindow(m_hWnd))
            DestroyWindow();
    }
    void Open() { CreateIndirect(m_tmpl.Get(), NULL); }
    void Click(int nID) { SendMessage(WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), (LPARAM)::GetDlgItem(m_hWnd, nID)); }
    void DoubleClickList()
    {
        NMITEMACTIVATE nm = {};
        nm.hdr.hwndFrom = ::GetDlgItem(m_hWnd, IDC_ROOK_LIST);
        nm.hdr.idFrom = IDC_ROOK_LIST;
        nm.hdr.code = NM_DBLCLK;
        SendMessage(WM_NOTIFY, IDC_ROOK_LIST, (LPARAM)&nm);
    }
    BOOL Enabled(int nID) { return ::IsWindowEnabled(::GetDlgItem(m_hWnd, nID)); }
    void Select(int nRow) { m_pListCtrl->SetItemState(nRow, LVIS_SELECTED, LVIS_SELECTED); }

    TestCreator m_creator;
    testsupport::DialogTemplate m_tmpl = MakeTemplate();
};

struct GenericFixture : ::testing::Test
{
    void SetUp() override
    {
        g_pModel = &model;
        Messages().clear();
        g_nConsent = IDOK;
        pfnOldInfo = SetInfoMessageHandler(&RecordInfo);
        pfnOldQuestion = SetYesNoMessageHandler(&RecordQuestion);
    }
    void TearDown() override
    {
        SetInfoMessageHandler(pfnOldInfo);
        SetYesNoMessageHandler(pfnOldQuestion);
        EXPECT_EQ(0, CRookGenericListDlg::GetOpenCount());
        g_pModel = NULL;
    }
    Model model;
    PFN_SHOWINFOMESSAGE pfnOldInfo;
    PFN_SHOWYESNOMESSAGE pfnOldQuestion;
};
} // namespace

TEST_F(GenericFixture, AnEmptyListOffersOnlyAddUntilItHasRows)
{
    ListDialog dlg;
    dlg.Open();
    CString strTitle;
    dlg.GetWindowText(strTitle);
    EXPECT_STREQ("Difficulty Profile List", strTitle);
    EXPECT_EQ("list type 1", model.log[0]);
    EXPECT_FALSE(dlg.Enabled(IDC_ROOK_AMEND));
    EXPECT_FALSE(dlg.Enabled(IDC_ROOK_DELETE));

    model.nEditorAnswer = IDCANCEL;
    dlg.Click(IDC_ROOK_ADD);
    EXPECT_EQ(1, model.nFills);                 // cancelled: not refilled
    model.nEditorAnswer = IDOK;
    dlg.Click(IDC_ROOK_ADD);
    EXPECT_EQ(2, model.nFills);
    EXPECT_EQ(1, dlg.m_pListCtrl->GetItemCount());
    EXPECT_TRUE(dlg.Enabled(IDC_ROOK_AMEND));
    EXPECT_TRUE(dlg.Enabled(IDC_ROOK_DELETE));
    EXPECT_EQ("new", model.log[1]);
    EXPECT_EQ("edit mode 0", model.log[2]);
    EXPECT_EQ(nullptr, dlg.m_pInfoDlg);
}

TEST_F(GenericFixture, AmendEditsTheSelectedItemByItsKey)
{
    model.items = {{7, "Easy"}, {9, "Mild"}};
    ListDialog dlg;
    dlg.Open();
    dlg.Select(1);
    model.log.clear();
    dlg.Click(IDC_ROOK_AMEND);
    ASSERT_EQ(2u, model.log.size());
    EXPECT_EQ("load 9", model.log[0]);
    EXPECT_EQ("edit mode 1", model.log[1]);
    EXPECT_EQ(2, model.nFills);

    // A double click is an Amend.
    model.log.clear();
    dlg.DoubleClickList();
    EXPECT_EQ("load 9", model.log[0]);
}

TEST_F(GenericFixture, AmendAndDeleteWithoutASelectionOnlySaySo)
{
    model.items = {{7, "Easy"}};
    ListDialog dlg;
    dlg.Open();
    model.log.clear();
    dlg.Click(IDC_ROOK_AMEND);
    dlg.Click(IDC_ROOK_DELETE);
    dlg.DoubleClickList();
    ASSERT_EQ(3u, Messages().size());
    EXPECT_STREQ("Please select an item, then click 'Amend'.", Messages()[0]);
    EXPECT_STREQ("Please select an item, then click 'Delete'.", Messages()[1]);
    EXPECT_STREQ("Please select an item, then click 'Amend'.", Messages()[2]);
    EXPECT_TRUE(model.log.empty());
}

TEST_F(GenericFixture, DeleteAsksFirstAndDeletesOnlyOnConsent)
{
    model.items = {{7, "Easy"}, {9, "Mild"}};
    ListDialog dlg;
    dlg.Open();
    dlg.Select(0);
    g_nConsent = IDCANCEL;
    dlg.Click(IDC_ROOK_DELETE);
    ASSERT_EQ(1u, Messages().size());
    EXPECT_STREQ("Are you sure you want to delete?|Delete|Don't Delete", Messages()[0]);
    EXPECT_EQ(2u, model.items.size());

    g_nConsent = IDOK;
    dlg.Click(IDC_ROOK_DELETE);
    EXPECT_EQ(1u, model.items.size());
    EXPECT_EQ(9, model.items[0].first);
    EXPECT_EQ(1, dlg.m_pListCtrl->GetItemCount());

    dlg.Select(0);
    dlg.Click(IDC_ROOK_DELETE);
    EXPECT_FALSE(dlg.Enabled(IDC_ROOK_AMEND));
    EXPECT_FALSE(dlg.Enabled(IDC_ROOK_DELETE));
}

// Deleting the last row from the keyboard disables the focused Delete
// button; the focus must stay inside the dialog, or no key (Esc to close it
// included) reaches it any more.
TEST_F(GenericFixture, DeletingTheLastRowKeepsTheKeyboardFocusInTheDialog)
{
    model.items = {{7, "Easy"}};
    ListDialog dlg;
    dlg.Open();
    dlg.ShowWindow(SW_SHOW);
    ::SetForegroundWindow(dlg.m_hWnd);
    dlg.SetActiveWindow();
    dlg.Select(0);
    HWND hWndDelete = ::GetDlgItem(dlg.m_hWnd, IDC_ROOK_DELETE);
    ::SetFocus(hWndDelete);
    ASSERT_EQ(hWndDelete, ::GetFocus());
    dlg.Click(IDC_ROOK_DELETE);
    EXPECT_EQ(0, dlg.m_pListCtrl->GetItemCount());
    EXPECT_FALSE(dlg.Enabled(IDC_ROOK_DELETE));
    HWND hWndFocus = ::GetFocus();
    EXPECT_EQ(dlg.m_pListCtrl->GetSafeHwnd(), hWndFocus);
    EXPECT_TRUE(hWndFocus != NULL && ::IsWindowEnabled(hWndFocus));
}

TEST_F(GenericFixture, FailuresOfTheCreatorAreToldAndChangeNothing)
{
    model.bNoListCtrl = true;
    {
        ListDialog dlg;
        dlg.Open();
        ASSERT_TRUE(::IsWindow(dlg.m_hWnd));
        ASSERT_EQ(1u, Messages().size());
        EXPECT_STREQ("Failed to create ListCtrl Obj", Messages()[0]);
        dlg.Click(IDC_ROOK_ADD);
        dlg.Click(IDC_ROOK_AMEND);
        EXPECT_EQ(1u, Messages().size());
    }
    model.bNoListCtrl = false;
    model.bNoInfoDlg = true;
    model.items = {{7, "Easy"}};
    ListDialog dlg;
    dlg.Open();
    dlg.Click(IDC_ROOK_ADD);
    dlg.Select(0);
    dlg.Click(IDC_ROOK_DELETE);
    ASSERT_EQ(3u, Messages().size());
    EXPECT_STREQ("Failed to create InfoDlg Obj", Messages()[1]);
    EXPECT_STREQ("Failed to create InfoDlg Obj", Messages()[2]);
    EXPECT_EQ(1u, model.items.size());
}

TEST_F(GenericFixture, NestedListDialogsCascadeOneCaptionApart)
{
    ListDialog first, second, third;
    first.Open();
    CRect rcFirst;
    first.GetWindowRect(&rcFirst);
    second.Open();
    third.Open();
    EXPECT_EQ(3, CRookGenericListDlg::GetOpenCount());
    CRect rcSecond, rcThird;
    second.GetWindowRect(&rcSecond);
    third.GetWindowRect(&rcThird);
    EXPECT_EQ(rcFirst.top + ::GetSystemMetrics(SM_CYCAPTION), rcSecond.top);
    EXPECT_EQ(rcFirst.top + 2 * ::GetSystemMetrics(SM_CYCAPTION), rcThird.top);
    EXPECT_EQ(::GetSystemMetrics(SM_CXSCREEN) / 2 - rcSecond.Width() / 2, rcSecond.left);
    third.DestroyWindow();
    second.DestroyWindow();
    EXPECT_EQ(1, CRookGenericListDlg::GetOpenCount());
    first.DestroyWindow();
    first.DestroyWindow();       // a second destroy does not count again
}
