// ctest: run-serial (keyboard focus and the foreground window)
// Dialogs: the modal loop with the PreTranslateMessage walk, ending,
// quitting, creation failures, modeless dialogs, and data exchange with its
// validation.
#include "support/gdi_count.h"
#include "support/modal.h"
#include "support/wndtest.h"

#include <functional>
#include <string>
#include <vector>

using namespace testsupport;

namespace
{

CWinApp theApp;
::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new Environment);

const WORD IDC_NAME = 100;
const WORD IDC_NUMBER = 101;
const WORD IDC_CHECK = 102;
const WORD IDC_RADIO1 = 103;
const WORD IDC_RADIO2 = 104;
const WORD IDC_RADIO3 = 105;
const WORD IDC_COMBO = 106;
const WORD IDC_LIST = 107;
const WORD IDC_EDITCOMBO = 108;
const WORD IDC_REAL = 109;
const WORD IDC_UNSIGNED = 110;

DialogTemplate MakeTemplate()
{
    DialogTemplate t("Test dialog", DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU, 220, 200);
    t.AddItem("EDIT", "", IDC_NAME, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 5, 5, 100, 12);
    t.AddItem("EDIT", "", IDC_NUMBER, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 5, 20, 100, 12);
    t.AddItem("BUTTON", "check", IDC_CHECK, BS_AUTOCHECKBOX | WS_TABSTOP, 5, 35, 100, 10);
    t.AddItem("BUTTON", "one", IDC_RADIO1, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 5, 50, 50, 10);
    t.AddItem("BUTTON", "two", IDC_RADIO2, BS_AUTORADIOBUTTON, 5, 60, 50, 10);
    t.AddItem("BUTTON", "three", IDC_RADIO3, BS_AUTORADIOBUTTON, 5, 70, 50, 10);
    t.AddItem("COMBOBOX", "", IDC_COMBO, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | WS_GROUP, 5, 85, 100, 60);
    t.AddItem("LISTBOX", "", IDC_LIST, LBS_NOTIFY | WS_BORDER | WS_TABSTOP, 110, 5, 100, 40);
    t.AddItem("COMBOBOX", "", IDC_EDITCOMBO, CBS_DROPDOWN | WS_VSCROLL | WS_TABSTOP, 110, 50, 100, 60);
    t.AddItem("EDIT", "", IDC_REAL, WS_BORDER | WS_TABSTOP, 110, 70, 100, 12);
    t.AddItem("EDIT", "", IDC_UNSIGNED, WS_BORDER | WS_TABSTOP, 110, 85, 100, 12);
    t.AddItem("BUTTON", "OK", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 110, 180, 50, 14);
    t.AddItem("BUTTON", "Cancel", IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, 165, 180, 50, 14);
    return t;
}

// An edit that counts the texts set into it and the keys it is shown.
class CCountingEdit : public CWnd
{
public:
    int nSetText = 0;
    int nPreSubclass = 0;
    int nKeysSeen = 0;
    virtual void PreSubclassWindow() { ++nPreSubclass; }
    virtual BOOL PreTranslateMessage(MSG* pMsg)
    {
        if (pMsg->message == WM_KEYDOWN)
            ++nKeysSeen;
        return FALSE;
    }
    afx_msg LRESULT OnSetText(WPARAM, LPARAM)
    {
        ++nSetText;
        return Default();
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCountingEdit, CWnd)
    ON_MESSAGE(WM_SETTEXT, OnSetText)
END_MESSAGE_MAP()

// The dialog under test: its data, and a script run from a timer while it
// is open (one step per tick).
class CTestDialog : public CDialog
{
public:
    CString m_strName;
    int m_nNumber = 1;
    int m_nCheck = 0;
    int m_nRadio = -1;
    int m_nCombo = -1;
    int m_nList = -1;
    CString m_strEditCombo;
    double m_dReal = 0;
    UINT m_nUnsigned = 0;
    CCountingEdit m_editName;
    int nChangeNotices = 0;
    BOOL bEndInInit = FALSE;
    BOOL bOwnerWasDisabled = FALSE;
    std::vector<std::function<void(CTestDialog*)>> steps;
    size_t nStep = 0;

    virtual void DoDataExchange(CDataExchange* pDX)
    {
        DDX_Control(pDX, IDC_NAME, m_editName);
        DDX_Text(pDX, IDC_NAME, m_strName);
        DDV_MaxChars(pDX, m_strName, 8);
        DDX_Text(pDX, IDC_NUMBER, m_nNumber);
        DDV_MinMaxInt(pDX, m_nNumber, 1, 10);
        DDX_Check(pDX, IDC_CHECK, m_nCheck);
        DDX_Radio(pDX, IDC_RADIO1, m_nRadio);
        DDX_CBIndex(pDX, IDC_COMBO, m_nCombo);
        DDX_LBIndex(pDX, IDC_LIST, m_nList);
        DDX_CBString(pDX, IDC_EDITCOMBO, m_strEditCombo);
        DDX_Text(pDX, IDC_REAL, m_dReal);
        DDX_Text(pDX, IDC_UNSIGNED, m_nUnsigned);
    }
    virtual BOOL OnInitDialog()
    {
        for (const char* psz : { "red", "green", "blue" })
        {
            SendDlgItemMessage(IDC_COMBO, CB_ADDSTRING, 0, (LPARAM)psz);
            SendDlgItemMessage(IDC_LIST, LB_ADDSTRING, 0, (LPARAM)psz);
            SendDlgItemMessage(IDC_EDITCOMBO, CB_ADDSTRING, 0, (LPARAM)psz);
        }
        CDialog::OnInitDialog();
        if (CWnd* pMain = AfxGetMainWnd())
            bOwnerWasDisabled = !pMain->IsWindowEnabled();
        if (bEndInInit)
            EndDialog(17);
        else if (!steps.empty())
            SetTimer(1, 15);
        return TRUE;
    }
    afx_msg void OnTimer(UINT_PTR)
    {
        if (nStep < steps.size())
            steps[nStep++](this);
        else if (++nStep > steps.size() + 200)
            EndDialog(999);   // the script got stuck: never hang the test run
    }
    afx_msg void OnNameChanged() { ++nChangeNotices; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestDialog, CDialog)
    ON_WM_TIMER()
    ON_EN_CHANGE(IDC_NAME, OnNameChanged)
END_MESSAGE_MAP()

class DialogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Boxes().texts.clear();
        Boxes().nAnswer = IDOK;
        ASSERT_TRUE(owner.CreateEx(0, AfxRegisterWndClass(0), "owner", WS_POPUP, 0, 0, 100, 100, NULL, NULL));
        theApp.m_pMainWnd = &owner;
        dlg.InitModalIndirect(templ.Get());
    }
    void TearDown() override
    {
        theApp.m_pMainWnd = NULL;
        owner.DestroyWindow();
    }
    static void SetText(CTestDialog* p, int nID, const char* psz) { p->SetDlgItemText(nID, psz); }
    static void Press(CTestDialog* p, int nID)
    {
        p->PostMessage(WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), (LPARAM)p->GetDlgItem(nID)->m_hWnd);
    }

    DialogTemplate templ = MakeTemplate();
    CWnd owner;
    CTestDialog dlg;
};

/////////////////////////////////////////////////////////////////////////////
// The modal loop

TEST_F(DialogTest, OkEndsWithTheControlsDataInTheMembers)
{
    dlg.m_strName = "Ann";
    dlg.m_nNumber = 3;
    dlg.m_nRadio = 2;
    dlg.steps = {
        [](CTestDialog* p) {
            EXPECT_EQ(1u, p->IsDlgButtonChecked(IDC_RADIO3));   // loaded by OnInitDialog
            CString str;
            p->GetDlgItemText(IDC_NAME, str);
            EXPECT_STREQ("Ann", str);
            SetText(p, IDC_NAME, "Bob");
            SetText(p, IDC_NUMBER, " 7 ");
            p->CheckDlgButton(IDC_CHECK, BST_CHECKED);
            p->CheckRadioButton(IDC_RADIO1, IDC_RADIO3, IDC_RADIO1);
            p->SendDlgItemMessage(IDC_COMBO, CB_SETCURSEL, 2);
            p->SendDlgItemMessage(IDC_LIST, LB_SETCURSEL, 1);
            SetText(p, IDC_EDITCOMBO, "typed");
            SetText(p, IDC_REAL, "2.5");
            SetText(p, IDC_UNSIGNED, "4000000000");
        },
        [](CTestDialog* p) { Press(p, IDOK); },
    };
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_TRUE(dlg.bOwnerWasDisabled);
    EXPECT_TRUE(owner.IsWindowEnabled());
    EXPECT_EQ(NULL, dlg.m_hWnd);
    EXPECT_STREQ("Bob", dlg.m_strName);
    EXPECT_EQ(7, dlg.m_nNumber);
    EXPECT_EQ(1, dlg.m_nCheck);
    EXPECT_EQ(0, dlg.m_nRadio);
    EXPECT_EQ(2, dlg.m_nCombo);
    EXPECT_EQ(1, dlg.m_nList);
    EXPECT_STREQ("typed", dlg.m_strEditCombo);
    EXPECT_DOUBLE_EQ(2.5, dlg.m_dReal);
    EXPECT_EQ(4000000000u, dlg.m_nUnsigned);
    EXPECT_TRUE(Boxes().texts.empty());
}

// A dialog whose parent lies in a popup that the main window owns (a
// floating window) holds the whole family: the popup and the main window
// wait while it is open and take input again afterwards, except a main
// window that was disabled before, which stays so. The program's message
// box, owned by the popup last active there, holds the main window too.
TEST_F(DialogTest, TheWindowTheOwnersChainEndsInWaitsToo)
{
    CWnd floating, child;
    ASSERT_TRUE(floating.CreateEx(0, AfxRegisterWndClass(0), "floating", WS_POPUP | WS_VISIBLE, 0, 0, 60, 60,
                                  owner.m_hWnd, NULL));
    ASSERT_TRUE(child.Create(AfxRegisterWndClass(0), "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 20, 20), &floating, 1));
    BOOL bOwnerWaited = FALSE, bFloatingWaited = FALSE;
    dlg.InitModalIndirect(templ.Get(), &child);
    dlg.steps = { [&](CTestDialog* p) {
        bOwnerWaited = !owner.IsWindowEnabled();
        bFloatingWaited = !floating.IsWindowEnabled();
        EXPECT_EQ(floating.m_hWnd, ::GetWindow(p->m_hWnd, GW_OWNER));
        Press(p, IDCANCEL);
    } };
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_TRUE(bOwnerWaited);
    EXPECT_TRUE(bFloatingWaited);
    EXPECT_TRUE(owner.IsWindowEnabled());
    EXPECT_TRUE(floating.IsWindowEnabled());

    owner.EnableWindow(FALSE);
    CTestDialog second;
    second.InitModalIndirect(templ.Get(), &child);
    second.steps = { [](CTestDialog* p) { Press(p, IDCANCEL); } };
    EXPECT_EQ(IDCANCEL, second.DoModal());
    EXPECT_FALSE(owner.IsWindowEnabled()) << "enabled by a dialog that did not disable it";
    EXPECT_TRUE(floating.IsWindowEnabled());
    owner.EnableWindow(TRUE);

    ::SetActiveWindow(floating.m_hWnd);
    HWND hBoxOwner = NULL;
    BOOL bOwnerWaitedForBox = FALSE;
    ModalDriver driver([&](HWND hBox) {
        hBoxOwner = ::GetWindow(hBox, GW_OWNER);
        bOwnerWaitedForBox = !owner.IsWindowEnabled();
        ModalDriver::Press(hBox, IDOK);
    });
    theApp.DoMessageBox("held", MB_OK, 0);
    EXPECT_TRUE(driver.HasRun());
    EXPECT_EQ(floating.m_hWnd, hBoxOwner);
    EXPECT_TRUE(bOwnerWaitedForBox);
    EXPECT_TRUE(owner.IsWindowEnabled());
    EXPECT_TRUE(floating.IsWindowEnabled());
    floating.DestroyWindow();
}

TEST_F(DialogTest, InvalidDataKeepsTheDialogOpenAndFocusesTheField)
{
    dlg.steps = {
        [](CTestDialog* p) {
            SetText(p, IDC_NUMBER, "abc");
            Press(p, IDOK);
        },
        [](CTestDialog* p) {
            EXPECT_TRUE(::IsWindow(p->m_hWnd));   // still open
            EXPECT_EQ(p->GetDlgItem(IDC_NUMBER)->m_hWnd, ::GetFocus());
            SetText(p, IDC_NUMBER, "20");        // out of range
            Press(p, IDOK);
        },
        [](CTestDialog* p) {
            EXPECT_TRUE(::IsWindow(p->m_hWnd));
            SetText(p, IDC_NUMBER, "5");
            SetText(p, IDC_NAME, "far too long");
            Press(p, IDOK);
        },
        [](CTestDialog* p) {
            EXPECT_TRUE(::IsWindow(p->m_hWnd));
            SetText(p, IDC_NAME, "short");
            Press(p, IDOK);
        },
    };
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(5, dlg.m_nNumber);
    EXPECT_STREQ("short", dlg.m_strName);
    EXPECT_EQ(std::vector<std::string>({ "Please enter an integer.", "Please enter an integer between 1 and 10.",
                                         "Please enter no more than 8 characters." }),
              Boxes().texts);
}

TEST_F(DialogTest, TheWalkReachesTheDialogsControlsAndKeys)
{
    dlg.steps = {
        [](CTestDialog* p) { p->m_editName.PostMessage(WM_KEYDOWN, 'X', 0); },
        [](CTestDialog* p) {
            EXPECT_EQ(1, p->m_editName.nKeysSeen);
            // Escape reaches the dialog's IsDialogMessage through the walk.
            p->m_editName.PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
        },
    };
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_EQ(2, dlg.m_editName.nKeysSeen);
}

TEST_F(DialogTest, QuitInsideTheDialogEndsItAndIsPostedAgain)
{
    DrainQuit();
    dlg.steps = { [](CTestDialog*) { ::PostQuitMessage(4); } };
    EXPECT_EQ(-1, dlg.DoModal());
    EXPECT_TRUE(owner.IsWindowEnabled());
    MSG msg;
    ASSERT_TRUE(::PeekMessage(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(4, (int)msg.wParam);
}

TEST_F(DialogTest, EndDialogDuringInitialisationSkipsTheLoop)
{
    dlg.bEndInInit = TRUE;
    EXPECT_EQ(17, dlg.DoModal());
    EXPECT_TRUE(owner.IsWindowEnabled());
    // The object can run again.
    EXPECT_EQ(17, dlg.DoModal());
    EXPECT_EQ(NULL, dlg.m_hWnd);
}

// A dialog whose template gives no position opens centred over its owner;
// one that places itself while initialising, and a modeless one beside its
// enabled owner, stay where they are.
class CPlacedDialog : public CDialog
{
public:
    CPoint ptMoveTo = CPoint(-1, -1);
    CRect rcShown;
    virtual BOOL OnInitDialog()
    {
        CDialog::OnInitDialog();
        if (ptMoveTo.x >= 0)
            SetWindowPos(NULL, ptMoveTo.x, ptMoveTo.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        if (m_nFlags & WF_CONTINUEMODAL)
            SetTimer(1, 10, NULL);
        return TRUE;
    }
    afx_msg void OnTimer(UINT_PTR)
    {
        KillTimer(1);
        GetWindowRect(&rcShown);
        EndDialog(IDOK);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPlacedDialog, CDialog)
    ON_WM_TIMER()
END_MESSAGE_MAP()

TEST_F(DialogTest, DialogsWithoutAPlaceOpenCentredOverTheirOwner)
{
    owner.SetWindowPos(NULL, 300, 200, 500, 400, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    const CRect rcOwner(300, 200, 800, 600);
    DialogTemplate small("placed", DS_MODALFRAME | WS_POPUP | WS_CAPTION, 120, 60);
    small.AddItem("BUTTON", "OK", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 5, 40, 50, 14);

    CPlacedDialog centred;
    centred.InitModalIndirect(small.Get(), &owner);
    ASSERT_EQ(IDOK, centred.DoModal());
    ASSERT_FALSE(centred.rcShown.IsRectEmpty());
    EXPECT_NEAR(rcOwner.CenterPoint().x, centred.rcShown.CenterPoint().x, 2) << centred.rcShown.left;
    EXPECT_NEAR(rcOwner.CenterPoint().y, centred.rcShown.CenterPoint().y, 2) << centred.rcShown.top;

    // Placed by its own initialisation: left there.
    CPlacedDialog placed;
    placed.ptMoveTo = CPoint(20, 30);
    placed.InitModalIndirect(small.Get(), &owner);
    ASSERT_EQ(IDOK, placed.DoModal());
    EXPECT_EQ(CPoint(20, 30), placed.rcShown.TopLeft());

    // Modeless beside an enabled owner: where the template puts it.
    CPlacedDialog modeless;
    ASSERT_TRUE(modeless.CreateIndirect(small.Get(), &owner));
    CRect rcModeless;
    modeless.GetWindowRect(&rcModeless);
    EXPECT_NE(rcOwner.CenterPoint(), rcModeless.CenterPoint());
    modeless.DestroyWindow();
    owner.ShowWindow(SW_HIDE);
}

TEST_F(DialogTest, DialogsThatCannotBeCreatedAnswerMinusOne)
{
    DialogTemplate broken("broken", WS_POPUP | WS_CAPTION, 100, 100);
    broken.AddItem("NoSuchControlClassHere", "", 1, 0, 0, 0, 10, 10);
    CTestDialog bad;
    bad.InitModalIndirect(broken.Get());
    EXPECT_EQ(-1, bad.DoModal());
    EXPECT_TRUE(owner.IsWindowEnabled());

    CDialog missing(30999);   // no such template
    EXPECT_EQ(-1, missing.DoModal());
}

/////////////////////////////////////////////////////////////////////////////
// Data exchange on a modeless dialog

class ExchangeTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Boxes().texts.clear();
        ASSERT_TRUE(dlg.CreateIndirect(templ.Get(), NULL));
    }
    void TearDown() override { dlg.DestroyWindow(); }

    DialogTemplate templ = MakeTemplate();
    CTestDialog dlg;
};

TEST_F(ExchangeTest, ModelessDialogsAreCreatedAndFilledAtOnce)
{
    EXPECT_TRUE(::IsWindow(dlg.m_hWnd));
    EXPECT_EQ(&dlg, CWnd::FromHandlePermanent(dlg.m_hWnd));
    EXPECT_EQ(1, dlg.m_editName.nPreSubclass);
    EXPECT_EQ(&dlg.m_editName, CWnd::FromHandlePermanent(dlg.GetDlgItem(IDC_NAME)->m_hWnd));
}

TEST_F(ExchangeTest, TextIsWrittenOnlyWhenItDiffersAndNotificationsAreHeldBack)
{
    dlg.m_strName = "same";
    int nBefore = dlg.m_editName.nSetText;
    EXPECT_TRUE(dlg.UpdateData(FALSE));
    EXPECT_EQ(nBefore + 1, dlg.m_editName.nSetText);
    EXPECT_TRUE(dlg.UpdateData(FALSE));
    EXPECT_EQ(nBefore + 1, dlg.m_editName.nSetText);   // unchanged: not written again
    EXPECT_EQ(0, dlg.nChangeNotices);                 // EN_CHANGE during the exchange is ignored
    EXPECT_EQ(1, dlg.m_editName.nPreSubclass);        // subclassed once

    // Outside an exchange the notification arrives.
    dlg.SetDlgItemText(IDC_NAME, "typed");
    EXPECT_EQ(1, dlg.nChangeNotices);
}

TEST_F(ExchangeTest, NumbersMustBeWholeAndInRange)
{
    struct Case
    {
        int nID;
        const char* pszText;
        const char* pszMessage;
    } cases[] = {
        { IDC_NUMBER, "12abc", "Please enter an integer." },
        { IDC_NUMBER, "99999999999", "Please enter an integer." },
        { IDC_NUMBER, "", "Please enter an integer." },
        { IDC_REAL, "2.5x", "Please enter a number." },
        { IDC_UNSIGNED, "-3", "Please enter a positive integer." },
        { IDC_UNSIGNED, "4294967296", "Please enter a positive integer." },
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.pszText);
        dlg.SetDlgItemText(IDC_NUMBER, "5");
        dlg.SetDlgItemText(IDC_REAL, "1");
        dlg.SetDlgItemText(IDC_UNSIGNED, "1");
        dlg.SetDlgItemText(c.nID, c.pszText);
        dlg.m_nNumber = 3;
        Boxes().texts.clear();
        EXPECT_FALSE(dlg.UpdateData(TRUE));
        ASSERT_EQ(1u, Boxes().texts.size());
        EXPECT_EQ(c.pszMessage, Boxes().texts[0]);
    }
    // Valid texts are read.
    dlg.SetDlgItemText(IDC_NUMBER, "4");
    dlg.SetDlgItemText(IDC_REAL, "-0.125");
    dlg.SetDlgItemText(IDC_UNSIGNED, "0");
    EXPECT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(4, dlg.m_nNumber);
    EXPECT_DOUBLE_EQ(-0.125, dlg.m_dReal);
}

TEST_F(ExchangeTest, ButtonsAndListsRoundTrip)
{
    dlg.m_nCheck = 2;   // indeterminate is a check state too
    dlg.m_nRadio = 1;
    dlg.m_nCombo = 0;
    dlg.m_nList = 2;
    dlg.m_strEditCombo = "green";
    EXPECT_TRUE(dlg.UpdateData(FALSE));
    EXPECT_EQ(1u, dlg.IsDlgButtonChecked(IDC_RADIO2));
    EXPECT_EQ(0u, dlg.IsDlgButtonChecked(IDC_RADIO1));
    EXPECT_EQ(1, (int)dlg.SendDlgItemMessage(IDC_EDITCOMBO, CB_GETCURSEL));

    dlg.m_nCheck = dlg.m_nRadio = dlg.m_nCombo = dlg.m_nList = -5;
    dlg.m_strEditCombo.Empty();
    EXPECT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(1, dlg.m_nRadio);
    EXPECT_EQ(0, dlg.m_nCombo);
    EXPECT_EQ(2, dlg.m_nList);
    EXPECT_STREQ("green", dlg.m_strEditCombo);

    // No radio button checked reads as -1.
    dlg.CheckRadioButton(IDC_RADIO1, IDC_RADIO3, 0);
    EXPECT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(-1, dlg.m_nRadio);
}

TEST_F(ExchangeTest, MaxCharsLimitsTheEditWhenLoading)
{
    dlg.m_strName = "abc";
    EXPECT_TRUE(dlg.UpdateData(FALSE));
    EXPECT_EQ(8, (int)dlg.SendDlgItemMessage(IDC_NAME, EM_GETLIMITTEXT));
}

/////////////////////////////////////////////////////////////////////////////
// Modeless dialogs that delete themselves

class CSelfDeletingDialog : public CDialog
{
public:
    explicit CSelfDeletingDialog(BOOL* pbDeleted) : m_pbDeleted(pbDeleted) {}
    virtual ~CSelfDeletingDialog() { *m_pbDeleted = TRUE; }
    virtual void OnCancel() { DestroyWindow(); }
    virtual void PostNcDestroy() { delete this; }
    BOOL* m_pbDeleted;
};

TEST(ModelessDialog, CancelDestroysAndTheObjectGoesWithItsWindow)
{
    DialogTemplate templ = MakeTemplate();
    BOOL bDeleted = FALSE;
    CSelfDeletingDialog* pDlg = new CSelfDeletingDialog(&bDeleted);
    ASSERT_TRUE(pDlg->CreateIndirect(templ.Get(), NULL));
    HWND hWnd = pDlg->m_hWnd;
    ::SendMessage(hWnd, WM_COMMAND, IDCANCEL, 0);
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_TRUE(bDeleted);
}

// A picture control of a template (SS_BITMAP, its text naming a bitmap of
// the program) shows its bitmap and frees it with the dialog, showing after
// showing; a bitmap set into it later stays its setter's, as does the one
// that replaced.  A static control made by CStatic::Create does the same.
TEST(DialogPicture, APictureTheTemplateLoadsGoesWithTheDialogAndOneSetLaterStaysTheSetters)
{
    DialogTemplate templ("Picture", DS_MODALFRAME | WS_POPUP | WS_CAPTION, 120, 80);
    templ.AddItem("Static", "#122", 0xFFFF, SS_BITMAP, 5, 5, 53, 49);
    auto Picture = [](CWnd& wnd) {
        return (HBITMAP)::SendMessage(::GetWindow(wnd.m_hWnd, GW_CHILD), STM_GETIMAGE, IMAGE_BITMAP, 0);
    };
    // The first showing also fills the system's caches (caption buttons,
    // the dialog font): the count starts after it.
    GdiCensus before;
    for (int i = 0; i < 6; i++)
    {
        if (i == 1)
            before = TakeGdiCensus();
        CDialog dlg;
        ASSERT_TRUE(dlg.CreateIndirect(templ.Get(), NULL));
        EXPECT_EQ((DWORD)OBJ_BITMAP, ::GetObjectType(Picture(dlg))) << "the template's picture did not load";
        CStatic picture;
        ASSERT_TRUE(picture.Create("#122", SS_BITMAP | WS_VISIBLE, CRect(0, 0, 80, 80), &dlg));
        EXPECT_EQ((DWORD)OBJ_BITMAP, ::GetObjectType(picture.GetBitmap()));
        dlg.DestroyWindow();
    }
    const GdiCensus after = TakeGdiCensus();
    ASSERT_TRUE(before.bValid && after.bValid);
    EXPECT_EQ(before.nByKind[OBJ_BITMAP], after.nByKind[OBJ_BITMAP]) << before.Difference(after);

    CDialog dlg;
    ASSERT_TRUE(dlg.CreateIndirect(templ.Get(), NULL));
    HBITMAP hSet = ::CreateBitmap(4, 4, 1, 1, NULL);
    HBITMAP hReplaced =
        (HBITMAP)::SendMessage(::GetWindow(dlg.m_hWnd, GW_CHILD), STM_SETIMAGE, IMAGE_BITMAP, (LPARAM)hSet);
    dlg.DestroyWindow();
    EXPECT_EQ((DWORD)OBJ_BITMAP, ::GetObjectType(hSet));
    EXPECT_EQ((DWORD)OBJ_BITMAP, ::GetObjectType(hReplaced));
    ::DeleteObject(hSet);
    ::DeleteObject(hReplaced);
}

} // namespace
