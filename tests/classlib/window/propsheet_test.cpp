// Property sheets: the modal loop and how it ends, page validation keeping
// the sheet open, page bookkeeping and modeless sheets.
#include "support/wndtest.h"
#include <afxpropsheet.h>

#include <functional>
#include <string>
#include <vector>

using namespace testsupport;

namespace
{

CWinApp theApp;
::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new Environment);

const WORD IDC_VALUE = 200;

DialogTemplate MakePageTemplate(const char* pszCaption)
{
    DialogTemplate t(pszCaption, WS_CHILD | WS_CAPTION, 150, 80);
    t.AddItem("EDIT", "", IDC_VALUE, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 5, 5, 80, 12);
    return t;
}

class CTestPage : public CPropertyPage
{
public:
    explicit CTestPage(const DialogTemplate& templ)
    {
        // The template comes from memory, as the toolkit's pages may.
        m_psp.dwFlags |= PSP_DLGINDIRECT;
        m_psp.pResource = templ.Get();
    }
    int m_nValue = 1;
    int nSetActive = 0;
    int nKillActive = 0;
    int nApply = 0;
    int nAppMessages = 0;
    int nCreate = 0;
    std::vector<std::function<void(CTestPage*)>> steps;
    size_t nStep = 0;

    virtual void DoDataExchange(CDataExchange* pDX)
    {
        DDX_Text(pDX, IDC_VALUE, m_nValue);
        DDV_MinMaxInt(pDX, m_nValue, 0, 5);
    }
    virtual BOOL OnSetActive()
    {
        ++nSetActive;
        if (!steps.empty() && nStep == 0)
            SetTimer(1, 15);
        return CPropertyPage::OnSetActive();
    }
    virtual BOOL OnKillActive()
    {
        ++nKillActive;
        return CPropertyPage::OnKillActive();
    }
    virtual BOOL OnApply()
    {
        ++nApply;
        return CPropertyPage::OnApply();
    }
    afx_msg void OnTimer(UINT_PTR)
    {
        if (nStep < steps.size())
            steps[nStep++](this);
        else if (++nStep > steps.size() + 200)
            GetParentSheet()->EndDialog(999);   // never hang the test run
    }
    afx_msg int OnCreate(LPCREATESTRUCT lpcs)
    {
        ++nCreate;
        return CPropertyPage::OnCreate(lpcs);
    }
    afx_msg LRESULT OnAppMessage(WPARAM, LPARAM)
    {
        ++nAppMessages;
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestPage, CPropertyPage)
    ON_WM_TIMER()
    ON_WM_CREATE()
    ON_MESSAGE(WM_APP + 1, OnAppMessage)
END_MESSAGE_MAP()

class SheetTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Boxes().texts.clear();
        ASSERT_TRUE(owner.CreateEx(0, AfxRegisterWndClass(0), "owner", WS_POPUP, 0, 0, 100, 100, NULL, NULL));
        theApp.m_pMainWnd = &owner;
        sheet.AddPage(&page1);
        sheet.AddPage(&page2);
    }
    void TearDown() override
    {
        theApp.m_pMainWnd = NULL;
        owner.DestroyWindow();
    }
    static void SetValue(CTestPage* p, const char* psz) { p->SetDlgItemText(IDC_VALUE, psz); }
    static void Press(CTestPage* p, int nButton)
    {
        p->GetParentSheet()->PostMessage(PSM_PRESSBUTTON, (WPARAM)nButton);
    }

    CWnd owner;
    DialogTemplate templ1 = MakePageTemplate("First");
    DialogTemplate templ2 = MakePageTemplate("Second");
    CTestPage page1{ templ1 };
    CTestPage page2{ templ2 };
    CPropertySheet sheet{ "Sheet" };
};

TEST_F(SheetTest, TheHeaderHasNoApplyAndNoHelp)
{
    EXPECT_TRUE(sheet.m_psh.dwFlags & PSH_NOAPPLYNOW);
    EXPECT_FALSE(sheet.m_psh.dwFlags & PSH_HASHELP);
    EXPECT_EQ(2, sheet.GetPageCount());
    EXPECT_EQ(&page2, sheet.GetPage(1));
    EXPECT_EQ(NULL, sheet.GetPage(2));
    EXPECT_EQ(1, sheet.GetPageIndex(&page2));
    EXPECT_EQ(&page1, sheet.GetActivePage());
    EXPECT_TRUE(sheet.SetActivePage(1));
    EXPECT_EQ(1, sheet.GetActiveIndex());
    EXPECT_FALSE(sheet.SetActivePage(5));

    sheet.BuildPropPageArray();
    EXPECT_TRUE(page1.m_psp.dwFlags & PSP_DLGINDIRECT);
    EXPECT_TRUE(page1.m_psp.dwFlags & PSP_USECALLBACK);
    sheet.RemovePage(&page1);
    EXPECT_EQ(1, sheet.GetPageCount());
    EXPECT_EQ(&page2, sheet.GetPage(0));
}

TEST_F(SheetTest, InvalidDataKeepsTheSheetOpenUntilItIsRight)
{
    page1.steps = {
        [](CTestPage* p) {
            CPropertySheet* pSheet = p->GetParentSheet();
            ASSERT_TRUE(pSheet != NULL);
            EXPECT_EQ(pSheet, CWnd::FromHandlePermanent(pSheet->m_hWnd));
            EXPECT_EQ(p, CWnd::FromHandlePermanent(p->m_hWnd));
            EXPECT_EQ(p, pSheet->GetActivePage());
            EXPECT_EQ(0, pSheet->GetActiveIndex());
            EXPECT_TRUE(pSheet->GetTabControl() != NULL);
            EXPECT_FALSE(AfxGetMainWnd()->IsWindowEnabled());   // the owner waits
            SetValue(p, "9");
            Press(p, PSBTN_OK);
        },
        [](CTestPage* p) {
            EXPECT_TRUE(::IsWindow(p->GetParentSheet()->m_hWnd));   // still open
            EXPECT_EQ(p, p->GetParentSheet()->GetActivePage());
            SetValue(p, "3");
            Press(p, PSBTN_OK);
        },
    };
    EXPECT_EQ(IDOK, sheet.DoModal());
    EXPECT_EQ(3, page1.m_nValue);
    EXPECT_EQ(1, page1.nApply);
    EXPECT_EQ(0, page2.nApply);   // never shown
    EXPECT_EQ(std::vector<std::string>({ "Please enter an integer between 0 and 5." }), Boxes().texts);
    EXPECT_TRUE(owner.IsWindowEnabled());
    EXPECT_EQ(NULL, sheet.m_hWnd);
    EXPECT_EQ(NULL, page1.m_hWnd);
}

TEST_F(SheetTest, ClosingFromTheCaptionAfterARefusedOKCancels)
{
    page1.steps = {
        [](CTestPage* p) {
            SetValue(p, "9");
            Press(p, PSBTN_OK);   // refused: the value is out of range
        },
        [](CTestPage* p) {
            EXPECT_TRUE(::IsWindow(p->GetParentSheet()->m_hWnd)) << "still open";
            p->GetParentSheet()->PostMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
        },
    };
    EXPECT_EQ(IDCANCEL, sheet.DoModal());
    EXPECT_EQ(0, page1.nApply) << "nothing was applied";
    EXPECT_EQ(NULL, sheet.m_hWnd);
}

TEST_F(SheetTest, CancelEndsTheSheetWithoutTakingTheData)
{
    sheet.SetActivePage(1);
    page2.steps = {
        [](CTestPage* p) {
            EXPECT_EQ(1, p->GetParentSheet()->GetActiveIndex());
            SetValue(p, "4");
            p->GetParentSheet()->SetActivePage(0);   // page 2 is left: its data is taken
        },
        [](CTestPage* p) {
            SetValue(p, "2");
            Press(p, PSBTN_CANCEL);
        },
    };
    EXPECT_EQ(IDCANCEL, sheet.DoModal());
    EXPECT_EQ(4, page2.m_nValue);
    EXPECT_EQ(1, page2.nKillActive);
    EXPECT_EQ(1, page1.nSetActive);
    EXPECT_EQ(0, page1.nApply);
}

// A sheet opened from a popup that the main window owns (the colour dialog
// of a floating pane) holds the main window too, until it is closed.
TEST_F(SheetTest, ASheetOfAFloatingWindowHoldsTheMainWindowToo)
{
    CWnd floating;
    ASSERT_TRUE(floating.CreateEx(0, AfxRegisterWndClass(0), "floating", WS_POPUP | WS_VISIBLE, 0, 0, 60, 60,
                                  owner.m_hWnd, NULL));
    sheet.m_pParentWnd = &floating;
    BOOL bOwnerWaited = FALSE;
    page1.steps = { [&](CTestPage* p) {
        bOwnerWaited = !owner.IsWindowEnabled();
        Press(p, PSBTN_CANCEL);
    } };
    EXPECT_EQ(IDCANCEL, sheet.DoModal());
    EXPECT_TRUE(bOwnerWaited);
    EXPECT_TRUE(owner.IsWindowEnabled());
    EXPECT_TRUE(floating.IsWindowEnabled());
    floating.DestroyWindow();
}

TEST_F(SheetTest, EndDialogFromAPageClosesTheSheet)
{
    page1.steps = { [](CTestPage* p) { p->GetParentSheet()->EndDialog(IDOK); } };
    EXPECT_EQ(IDOK, sheet.DoModal());
    EXPECT_TRUE(owner.IsWindowEnabled());
    EXPECT_EQ(NULL, sheet.m_hWnd);
}

// A modal sheet opens centred over its owner, as dialogs do (the colour
// dialog of the game's profile panes is one).
TEST_F(SheetTest, AModalSheetOpensCentredOverItsOwner)
{
    owner.SetWindowPos(NULL, 300, 200, 500, 400, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    CRect rcSheet;
    page1.steps = { [&rcSheet](CTestPage* p) {
        p->GetParentSheet()->GetWindowRect(&rcSheet);
        p->GetParentSheet()->EndDialog(IDOK);
    } };
    EXPECT_EQ(IDOK, sheet.DoModal());
    ASSERT_FALSE(rcSheet.IsRectEmpty());
    EXPECT_NEAR(550, rcSheet.CenterPoint().x, 2) << rcSheet.left;
    EXPECT_NEAR(400, rcSheet.CenterPoint().y, 2) << rcSheet.top;
    owner.ShowWindow(SW_HIDE);
}

TEST_F(SheetTest, ModelessSheetsSendToThePagesThatExist)
{
    ASSERT_TRUE(sheet.Create(&owner));
    ASSERT_TRUE(sheet.m_hWnd != NULL);
    EXPECT_TRUE(page1.m_hWnd != NULL);
    EXPECT_EQ(NULL, page2.m_hWnd);   // not shown yet
    EXPECT_EQ(1, page1.nCreate);     // the page object saw its own creation
    sheet.SendMessageToPages(WM_APP + 1);
    EXPECT_EQ(1, page1.nAppMessages);
    EXPECT_EQ(0, page2.nAppMessages);

    // Pages can come and go while the sheet is open.
    DialogTemplate templ3 = MakePageTemplate("Third");
    CTestPage page3(templ3);
    sheet.AddPage(&page3);
    EXPECT_EQ(3, sheet.GetPageCount());
    EXPECT_TRUE(sheet.SetActivePage(&page3));
    EXPECT_TRUE(page3.m_hWnd != NULL);
    EXPECT_EQ(&page3, sheet.GetActivePage());
    sheet.SetActivePage(0);
    sheet.RemovePage(&page3);
    EXPECT_EQ(2, sheet.GetPageCount());
    sheet.DestroyWindow();
    EXPECT_EQ(NULL, page1.m_hWnd);
}

} // namespace
