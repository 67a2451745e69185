// The colour row of the profile grids and the text form of a colour.
// ctest: run-serial
#include "RookXTPPropertyGridItemColor.h"
#include "support/canvas.h"
#include "support/modal.h"
#include "support/propertygrid_fixture.h"
#include "XTColorDialog.h"

namespace
{
::testing::Environment* const s_env = ::testing::AddGlobalTestEnvironment(new testsupport::Environment());

TEST(ColorText, ParsesAndFormatsTheOneTextForm)
{
    EXPECT_EQ(RGB(255, 0, 0), ParseColorText("255; 0; 0"));
    EXPECT_EQ(0x0000FFu, ParseColorText("255; 0; 0"));
    EXPECT_EQ(0xFF0000u, ParseColorText("0; 0; 255"));
    EXPECT_EQ(RGB(0, 0, 0), ParseColorText(""));
    EXPECT_EQ(RGB(12, 0, 0), ParseColorText("12"));
    EXPECT_EQ(RGB(255, 255, 255), ParseColorText("1000;256;255"));
    EXPECT_EQ(RGB(255, 0, 0), ParseColorText("-1; 0; 0"));
    EXPECT_EQ(RGB(254, 0, 0), ParseColorText("-2; 0; 0"));
    EXPECT_EQ(RGB(10, 20, 30), ParseColorText(" 10 ; 20 ; 30 "));
    EXPECT_EQ(RGB(1, 2, 3), ParseColorText("1;2;3;4;5"));
    EXPECT_EQ(RGB(255, 7, 0), ParseColorText(CString("99999999999999999999; 7x; abc")));
    EXPECT_EQ(RGB(0, 0, 0), ParseColorText((const char*)NULL));

    EXPECT_STREQ("0; 0; 0", FormatColorText(ParseColorText("")));
    EXPECT_STREQ("12; 0; 0", FormatColorText(ParseColorText("12")));
    EXPECT_STREQ("255; 255; 255", FormatColorText(ParseColorText("1000;256;255")));
    EXPECT_STREQ("255; 0; 0", FormatColorText(ParseColorText("-1; 0; 0")));
    EXPECT_STREQ("10; 20; 30", FormatColorText(ParseColorText(" 10 ; 20 ; 30 ")));
    EXPECT_STREQ("51; 51; 51", FormatColorText(RGB(51, 51, 51)));
}

TEST(ColorItem, KeepsItsValueInTheNormalFormAndItsBoundColourInStep)
{
    COLORREF clrBound = 0;
    CRookXTPPropertyGridItemColor* pItem = new CRookXTPPropertyGridItemColor("Fill", RGB(1, 2, 3), &clrBound);
    EXPECT_STREQ("1; 2; 3", pItem->GetValue());
    EXPECT_EQ(RGB(1, 2, 3), clrBound);
    EXPECT_EQ((DWORD)(xtpPropertyGridItemEdit | xtpPropertyGridItemExpandButton), pItem->GetFlags());

    pItem->SetValue("300;0;0");
    EXPECT_STREQ("255; 0; 0", pItem->GetValue());
    EXPECT_EQ(RGB(255, 0, 0), pItem->GetColor());
    EXPECT_EQ(RGB(255, 0, 0), clrBound);
    pItem->InternalRelease();
}

// The colour dialog, replaced: it answers with a set colour or cancels.
struct Chooser
{
    static BOOL AFXAPI Choose(COLORREF clrCurrent, CWnd* pParentWnd, COLORREF& clrChosen)
    {
        s_nCalls++;
        s_clrOffered = clrCurrent;
        s_pParent = pParentWnd;
        if (!s_bAccept)
            return FALSE;
        clrChosen = s_clrAnswer;
        return TRUE;
    }
    static int s_nCalls;
    static COLORREF s_clrOffered, s_clrAnswer;
    static BOOL s_bAccept;
    static CWnd* s_pParent;
};
int Chooser::s_nCalls = 0;
COLORREF Chooser::s_clrOffered = 0, Chooser::s_clrAnswer = 0;
BOOL Chooser::s_bAccept = TRUE;
CWnd* Chooser::s_pParent = NULL;

class ColorItemTest : public testsupport::PropertyGridFixture
{
protected:
    void SetUp() override
    {
        PropertyGridFixture::SetUp();
        m_pfnOld = CRookXTPPropertyGridItemColor::SetColorChooser(&Chooser::Choose);
        Chooser::s_nCalls = 0;
        CXTPPropertyGridItem* pCategory = m_grid.AddCategory("Colours");
        m_pItem = new CRookXTPPropertyGridItemColor("Off Colour", RGB(0, 64, 0), &m_clrBound);
        pCategory->AddChildItem(m_pItem);
        m_pItem->SetID(17);
        pCategory->Expand();
    }
    void TearDown() override
    {
        CRookXTPPropertyGridItemColor::SetColorChooser(m_pfnOld);
        PropertyGridFixture::TearDown();
    }
    void PressButton()
    {
        m_pItem->OnInplaceButtonDown(m_pItem->GetInplaceButtons()->Find(XTP_ID_PROPERTYGRID_EXPANDBUTTON));
    }

    CRookXTPPropertyGridItemColor::PFNCHOOSECOLOR m_pfnOld = NULL;
    CRookXTPPropertyGridItemColor* m_pItem = NULL;
    COLORREF m_clrBound = 0;
};

TEST_F(ColorItemTest, TheDialogsColourBecomesTheValueAndIsReported)
{
    Chooser::s_bAccept = TRUE;
    Chooser::s_clrAnswer = RGB(0, 0, 255);
    PressButton();
    EXPECT_EQ(1, Chooser::s_nCalls);
    EXPECT_EQ(RGB(0, 64, 0), Chooser::s_clrOffered);
    EXPECT_EQ(&View(), Chooser::s_pParent);
    EXPECT_STREQ("0; 0; 255", m_pItem->GetValue());
    EXPECT_EQ(RGB(0, 0, 255), m_clrBound);
    std::vector<CXTPPropertyGridItem*> changed = Notified(XTP_PGN_ITEMVALUE_CHANGED);
    ASSERT_EQ(1u, changed.size());
    EXPECT_EQ(17u, changed[0]->GetID());

    // Cancelled: nothing changes.
    Chooser::s_bAccept = FALSE;
    PressButton();
    EXPECT_STREQ("0; 0; 255", m_pItem->GetValue());
    EXPECT_EQ(1u, CountNotes(XTP_PGN_ITEMVALUE_CHANGED));

    // Read-only: no dialog at all.
    m_pItem->SetReadOnly(TRUE);
    PressButton();
    EXPECT_EQ(2, Chooser::s_nCalls);
}

TEST_F(ColorItemTest, TheRowsOwnChooserIsTheToolkitsColourDialog)
{
    // The chooser put back: the colour dialog, with the row's colour as new
    // and current colour and the 3-D swatch.
    CRookXTPPropertyGridItemColor::SetColorChooser(NULL);
    CString strCaption;
    DWORD dwOptions = 0;
    COLORREF clrNew = 0, clrCurrent = 0;
    HWND hParent = NULL;
    testsupport::ModalDriver driver([&](HWND hDlg) {
        if (CXTColorDialog* pDlg = DYNAMIC_DOWNCAST(CXTColorDialog, CWnd::FromHandlePermanent(hDlg)))
        {
            pDlg->GetWindowText(strCaption);
            dwOptions = pDlg->m_dwStyle;
            clrNew = pDlg->GetColor();
            clrCurrent = pDlg->GetCurrentColor();
            hParent = pDlg->m_psh.hwndParent;
            // A colour picked, then cancelled.
            pDlg->SetNewColor(RGB(9, 9, 9), TRUE);
        }
        ::PostMessage(hDlg, WM_COMMAND, IDCANCEL, 0);
    });
    PressButton();
    ASSERT_TRUE(driver.HasRun());
    EXPECT_STREQ("Colors", strCaption);
    EXPECT_EQ((DWORD)CPS_XT_SHOW3DSELECTION, dwOptions);
    EXPECT_EQ(RGB(0, 64, 0), clrNew);
    EXPECT_EQ(RGB(0, 64, 0), clrCurrent);
    EXPECT_TRUE(hParent != NULL);
    // Cancel changes nothing.
    EXPECT_STREQ("0; 64; 0", m_pItem->GetValue());
    EXPECT_EQ(0u, CountNotes(XTP_PGN_ITEMVALUE_CHANGED));
}

TEST_F(ColorItemTest, TypedTextIsNormalisedAndTheEditorStartsAfterTheSwatch)
{
    m_pItem->Select();
    ASSERT_TRUE(IsEditShown());
    CRect rcEdit;
    m_grid.GetInplaceEdit().GetWindowRect(&rcEdit);
    View().ScreenToClient(&rcEdit);
    EXPECT_EQ(View().GetDividerPos() + 1 + 25, rcEdit.left);

    m_pItem->SetFocusToInplaceControl();
    m_grid.GetInplaceEdit().SetWindowText("300;0;0");
    View().SetFocus();
    EXPECT_STREQ("255; 0; 0", m_pItem->GetValue());
    EXPECT_EQ(1u, CountNotes(XTP_PGN_ITEMVALUE_CHANGED));
}

TEST_F(ColorItemTest, DrawsASwatchOfItsColourBeforeTheText)
{
    testsupport::Canvas canvas(200, 20, RGB(255, 255, 255));
    canvas.DC()->SetTextColor(RGB(0, 0, 0));
    EXPECT_TRUE(m_pItem->OnDrawItemValue(*canvas.DC(), CRect(10, 0, 200, 20)));
    EXPECT_EQ(RGB(0, 64, 0), canvas.Pixel(15, 10));     // inside the swatch
    EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(8, 10));       // its outline
    EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(31, 1)); // the gap before the text
}
} // namespace
