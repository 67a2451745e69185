// The colour dialog: caption, pages and buttons by its options, the hex
// text, the layout of the button column, the swatch, the colour passed
// between the sheet and its pages, and how it ends (OK, Cancel, a double
// click in a picker).
// ctest: run-serial
#include "support/colorpickers.h"
#include "support/modal.h"
#include "support/snapshot.h"
#include "support/themedcontrols.h"

#include "XTColorDialog.h"
#include "controls_res.h"

#include <memory>

using testsupport::Canvas;
using testsupport::ThemeTest;

namespace
{
::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new testsupport::Environment);

CString WindowText(HWND hWnd)
{
    char sz[256] = "";
    ::GetWindowTextA(hWnd, sz, sizeof(sz));
    return sz;
}

CString TabText(CTabCtrl* pTab, int nItem)
{
    char sz[64] = "";
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = sz;
    item.cchTextMax = sizeof(sz);
    ::SendMessage(pTab->m_hWnd, TCM_GETITEMA, nItem, (LPARAM)&item);
    return sz;
}

CRect ChildRect(CWnd* pParent, HWND hChild)
{
    CRect rc;
    ::GetWindowRect(hChild, &rc);
    pParent->ScreenToClient(&rc);
    return rc;
}

class ColorDialogTest : public ThemeTest
{
protected:
    void Open(COLORREF clrNew, COLORREF clrCurrent, DWORD dwFlags)
    {
        m_dlg.reset(new CXTColorDialog(clrNew, clrCurrent, dwFlags));
        ASSERT_TRUE(m_dlg->Create(NULL));
        m_dlg->ShowWindow(SW_SHOWNA);
        m_dlg->UpdateWindow();
        testsupport::PumpPending();
    }
    void TearDown() override
    {
        m_dlg.reset();
        ThemeTest::TearDown();
    }
    // The dialog's client area as it paints itself with its pages.
    std::string Snapshot(const char* pszName) { return testsupport::SaveWindowSnapshot(m_dlg->m_hWnd, pszName); }

    std::unique_ptr<CXTColorDialog> m_dlg;
};
} // namespace

TEST(ColorDialogText, FormatHexWritesTwoDigitsPerChannel)
{
    EXPECT_STREQ("Hex= 0AC805", CXTColorDialog::FormatHex(RGB(10, 200, 5)));
    EXPECT_STREQ("Hex=FF0010", CXTColorDialog::FormatHex(RGB(255, 0, 16)));
    EXPECT_STREQ("Hex=FFFFFF", CXTColorDialog::FormatHex(RGB(255, 255, 255)));
    EXPECT_STREQ("Hex= 000000", CXTColorDialog::FormatHex(RGB(0, 0, 0)));
    EXPECT_STREQ("Hex=800F80", CXTColorDialog::FormatHex(RGB(128, 15, 128)));
}

TEST_F(ColorDialogTest, TheProfileEditorsOptionsGiveTwoTabsAndNoApplyOrHexEdit)
{
    Open(RGB(0, 128, 0), RGB(0, 128, 0), CPS_XT_SHOW3DSELECTION);
    EXPECT_STREQ("Colors", WindowText(m_dlg->m_hWnd));
    CTabCtrl* pTab = m_dlg->GetTabControl();
    ASSERT_TRUE(pTab != NULL);
    ASSERT_EQ(2, (int)::SendMessage(pTab->m_hWnd, TCM_GETITEMCOUNT, 0, 0));
    EXPECT_STREQ("Standard", TabText(pTab, 0));
    EXPECT_STREQ("Custom", TabText(pTab, 1));
    HWND hApply = ::GetDlgItem(m_dlg->m_hWnd, 0x3021);
    EXPECT_TRUE(hApply == NULL || !::IsWindowVisible(hApply));
    HWND hHelp = ::GetDlgItem(m_dlg->m_hWnd, 9);
    EXPECT_TRUE(hHelp == NULL || !::IsWindowVisible(hHelp));
    EXPECT_TRUE(::GetDlgItem(m_dlg->m_hWnd, XT_IDC_EDIT_HEX) == NULL);
    EXPECT_EQ(0, m_dlg->GetActiveIndex());
    EXPECT_EQ(RGB(0, 128, 0), m_dlg->GetColor());
    EXPECT_EQ(m_dlg->m_clrNew, m_dlg->GetColor());
    EXPECT_EQ(RGB(0, 128, 0), m_dlg->GetStandardPage()->m_colorHex.GetColor());
    EXPECT_FALSE(Snapshot("standard_page").empty());
}

TEST_F(ColorDialogTest, OptionHexShowsAReadOnlyHexEditThatFollowsTheColour)
{
    Open(RGB(10, 200, 5), RGB(0, 0, 0), CPS_XT_SHOWHEXVALUE);
    HWND hHex = ::GetDlgItem(m_dlg->m_hWnd, XT_IDC_EDIT_HEX);
    ASSERT_TRUE(hHex != NULL);
    EXPECT_TRUE((::GetWindowLong(hHex, GWL_STYLE) & ES_READONLY) != 0);
    EXPECT_TRUE((::GetWindowLong(hHex, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) != 0);
    EXPECT_STREQ("Hex= 0AC805", WindowText(hHex));
    m_dlg->SetNewColor(RGB(255, 0, 16), FALSE);
    EXPECT_STREQ("Hex=FF0010", WindowText(hHex));

    // Under Cancel, as wide, 18 pixels high.
    CRect rcCancel = ChildRect(m_dlg.get(), ::GetDlgItem(m_dlg->m_hWnd, IDCANCEL));
    CRect rcHex = ChildRect(m_dlg.get(), hHex);
    EXPECT_EQ(rcCancel.bottom + 5, rcHex.top);
    EXPECT_EQ(rcCancel.left, rcHex.left);
    EXPECT_EQ(rcCancel.Width(), rcHex.Width());
    EXPECT_EQ(18, rcHex.Height());

    // The whole text fits the edit's text area (it used to lose its last
    // digit). Only digits here: a run of wide letters such as "DDDDDD" is a
    // pixel wider than the area in this system's dialog font.
    for (COLORREF clr : { RGB(1, 1, 1), RGB(0x88, 0x88, 0x88), RGB(0, 0, 0), RGB(0x99, 0x99, 0x99) })
    {
        m_dlg->SetNewColor(clr, FALSE);
        const CString strHex = WindowText(hHex);
        CRect rcText;
        ::SendMessage(hHex, EM_GETRECT, 0, (LPARAM)&rcText);
        HDC hDC = ::GetDC(hHex);
        HGDIOBJ hOld = ::SelectObject(hDC, (HGDIOBJ)::SendMessage(hHex, WM_GETFONT, 0, 0));
        SIZE size = {};
        ::GetTextExtentPoint32A(hDC, strHex, strHex.GetLength(), &size);
        ::SelectObject(hDC, hOld);
        ::ReleaseDC(hHex, hDC);
        EXPECT_LE(size.cx, rcText.Width()) << (LPCSTR)strHex;
    }
}

TEST_F(ColorDialogTest, TheButtonsStandInAColumnBesideTheTabs)
{
    Open(RGB(1, 2, 3), RGB(4, 5, 6), CPS_XT_SHOW3DSELECTION);
    CTabCtrl* pTab = m_dlg->GetTabControl();
    CRect rcTab = ChildRect(m_dlg.get(), pTab->m_hWnd);
    CRect rcOK = ChildRect(m_dlg.get(), ::GetDlgItem(m_dlg->m_hWnd, IDOK));
    CRect rcCancel = ChildRect(m_dlg.get(), ::GetDlgItem(m_dlg->m_hWnd, IDCANCEL));
    CRect rcItem;
    pTab->GetItemRect(0, &rcItem);
    EXPECT_EQ(rcCancel.left - 5, rcTab.right);
    EXPECT_EQ(rcOK.left, rcCancel.left);
    EXPECT_EQ(rcTab.top + rcItem.Height() + 1, rcOK.top);
    EXPECT_EQ(rcOK.bottom + 5, rcCancel.top);
    CRect rcClient;
    m_dlg->GetClientRect(&rcClient);
    EXPECT_EQ(rcTab.bottom + 10, rcClient.bottom);

    // The pages lie inside the tab control.
    CRect rcPage = ChildRect(m_dlg.get(), m_dlg->GetStandardPage()->m_hWnd);
    EXPECT_GE(rcPage.left, rcTab.left);
    EXPECT_LE(rcPage.right, rcTab.right);
    EXPECT_LE(rcPage.bottom, rcTab.bottom);

    // The swatch: Cancel's column, 66 high, 32 above the bottom; new above,
    // current below, in a 3-D frame.
    CRect rcBox = m_dlg->GetSwatchRect();
    EXPECT_EQ(rcCancel.left, rcBox.left);
    EXPECT_EQ(rcCancel.right, rcBox.right);
    EXPECT_EQ(rcClient.bottom - 32, rcBox.bottom);
    EXPECT_EQ(66, rcBox.Height());
    EXPECT_GT(rcBox.top - 22, rcCancel.bottom);
    Canvas canvas(rcClient.Width(), rcClient.Height(), RGB(0, 255, 0));
    m_dlg->DrawSwatch(canvas.DC());
    EXPECT_EQ(RGB(1, 2, 3), canvas.Pixel(rcBox.CenterPoint().x, rcBox.top + 10));
    EXPECT_EQ(RGB(4, 5, 6), canvas.Pixel(rcBox.CenterPoint().x, rcBox.bottom - 10));
    EXPECT_EQ(::GetSysColor(COLOR_3DHILIGHT), canvas.Pixel(rcBox.left - 3, rcBox.top + 5));
    EXPECT_EQ(::GetSysColor(COLOR_3DDKSHADOW), canvas.Pixel(rcBox.right + 2, rcBox.top + 5));
    EXPECT_EQ(::GetSysColor(COLOR_3DSHADOW), canvas.Pixel(rcBox.left, rcBox.top + 5));
    EXPECT_EQ(rcBox.top + 1, m_dlg->m_rcNew.top);
    EXPECT_EQ(m_dlg->m_rcNew.bottom, m_dlg->m_rcCurrent.top);

    // Without the option a one-pixel frame in the window-frame colour.
    CXTColorDialog flat(RGB(1, 2, 3), RGB(4, 5, 6), 0);
    ASSERT_TRUE(flat.Create(NULL));
    rcBox = flat.GetSwatchRect();
    flat.GetClientRect(&rcClient);
    Canvas flatCanvas(rcClient.Width(), rcClient.Height(), RGB(0, 255, 0));
    flat.DrawSwatch(flatCanvas.DC());
    EXPECT_EQ(::GetSysColor(COLOR_WINDOWFRAME), flatCanvas.Pixel(rcBox.left, rcBox.top + 5));
    EXPECT_EQ(RGB(0, 255, 0), flatCanvas.Pixel(rcBox.left - 2, rcBox.top + 5));
}

// The tab control paints only the frame the current page leaves visible;
// that frame must look exactly as the tab control's full drawing, on either
// page, and the page must still show over the pane.
TEST_F(ColorDialogTest, TheTabFrameAroundThePagePaintsAsTheWholeTabControl)
{
    Open(RGB(255, 204, 204), RGB(255, 204, 204), CPS_XT_SHOW3DSELECTION);
    m_dlg->SetWindowPos(&CWnd::wndTop, 20, 20, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
    CXTColorDialogTab* pTab = DYNAMIC_DOWNCAST(CXTColorDialogTab, m_dlg->GetTabControl());
    ASSERT_TRUE(pTab != NULL);

    for (int nPage = 0; nPage < 2; nPage++)
    {
        SCOPED_TRACE(nPage);
        ASSERT_TRUE(m_dlg->SetActivePage(nPage));
        const CRect rcPage = pTab->GetPageRect();
        CRect rcClient;
        pTab->GetClientRect(&rcClient);
        ASSERT_FALSE(rcPage.IsRectEmpty());
        // The page sits inside the pane, with the frame on every side.
        EXPECT_GT(rcPage.left, rcClient.left);
        EXPECT_GT(rcPage.top, rcClient.top);
        EXPECT_LT(rcPage.right, rcClient.right);
        EXPECT_LT(rcPage.bottom, rcClient.bottom);

        // The tab control drawn whole, and the page with its controls.
        Canvas whole(rcClient.Width(), rcClient.Height());
        testsupport::PrintClientTree(pTab->m_hWnd, whole.Handle(), CPoint(0, 0));
        Canvas page(rcPage.Width(), rcPage.Height());
        testsupport::PrintClientTree(m_dlg->GetActivePage()->m_hWnd, page.Handle(), CPoint(0, 0));

        // What WM_PAINT put on the screen.
        m_dlg->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        testsupport::PumpPending();
        for (int i = 0; i < 4; i++)
        {
            testsupport::PumpPending();
            ::Sleep(25);
        }
        CRect rcScreen(rcClient);
        pTab->ClientToScreen(&rcScreen);
        Canvas shown(rcClient.Width(), rcClient.Height());
        HDC hScreen = ::GetDC(NULL);
        ::BitBlt(shown.Handle(), 0, 0, rcClient.Width(), rcClient.Height(), hScreen, rcScreen.left, rcScreen.top,
                 SRCCOPY);
        ::ReleaseDC(NULL, hScreen);

        int nFrameDiffs = 0, nPageDiffs = 0;
        for (int y = 0; y < rcClient.Height(); y++)
        {
            for (int x = 0; x < rcClient.Width(); x++)
            {
                if (rcPage.PtInRect(CPoint(x, y)))
                    nPageDiffs += shown.Pixel(x, y) != page.Pixel(x - rcPage.left, y - rcPage.top);
                else
                    nFrameDiffs += shown.Pixel(x, y) != whole.Pixel(x, y);
            }
        }
        EXPECT_EQ(0, nFrameDiffs);
        EXPECT_EQ(0, nPageDiffs);
        EXPECT_FALSE(testsupport::SaveSnapshot(shown, nPage ? "tab_painted_custom" : "tab_painted_standard").empty());
    }
}

TEST_F(ColorDialogTest, ANewColourReachesOnlyThePagesThatHaveAWindow)
{
    Open(RGB(0, 0, 255), RGB(0, 0, 255), CPS_XT_SHOW3DSELECTION);
    CXTColorPageCustom* pCustom = m_dlg->GetCustomPage();
    ASSERT_TRUE(pCustom->m_hWnd == NULL);   // never shown

    // Told to every page: the custom page has no window yet and is skipped.
    m_dlg->SetNewColor(RGB(255, 0, 0), TRUE);
    EXPECT_EQ(RGB(255, 0, 0), m_dlg->GetColor());
    EXPECT_TRUE(pCustom->m_hWnd == NULL);

    // Shown, it starts from the dialog's colour.
    ASSERT_TRUE(m_dlg->SetActivePage(1));
    testsupport::PumpPending();
    ASSERT_TRUE(pCustom->m_hWnd != NULL);
    EXPECT_EQ(255, pCustom->m_nR);
    EXPECT_EQ(0, pCustom->m_nG);
    EXPECT_EQ(255, pCustom->m_nS);
    EXPECT_STREQ("255", WindowText(::GetDlgItem(pCustom->m_hWnd, XT_IDC_EDIT_RED)));
    EXPECT_FALSE(Snapshot("custom_page").empty());

    // Now both pages have windows: both follow.
    m_dlg->SetNewColor(RGB(0, 255, 0), TRUE);
    EXPECT_EQ(0, pCustom->m_nR);
    EXPECT_EQ(255, pCustom->m_nG);
    EXPECT_STREQ("255", WindowText(::GetDlgItem(pCustom->m_hWnd, XT_IDC_EDIT_GREEN)));
    EXPECT_EQ(RGB(0, 255, 0), m_dlg->GetColor());
}

TEST_F(ColorDialogTest, PickingOnTheCustomPageUpdatesTheSwatchAndTheStandardOutline)
{
    Open(RGB(255, 255, 255), RGB(0, 0, 0), CPS_XT_SHOW3DSELECTION);
    CXTColorHex& hex = m_dlg->GetStandardPage()->m_colorHex;
    EXPECT_EQ(RGB(255, 255, 255), hex.GetColor());

    ASSERT_TRUE(m_dlg->SetActivePage(1));
    testsupport::PumpPending();
    CXTColorPageCustom* pCustom = m_dlg->GetCustomPage();
    CRect rc;
    pCustom->m_colorWnd.GetClientRect(&rc);
    testsupport::SendClick(pCustom->m_colorWnd, CPoint(rc.Width() / 3, rc.Height() / 4));
    const COLORREF clrPicked = pCustom->m_colorWnd.GetPictureColor(rc.Width() / 3, rc.Height() / 4);
    EXPECT_EQ(clrPicked, m_dlg->GetColor());
    EXPECT_EQ(clrPicked, RGB(pCustom->m_nR, pCustom->m_nG, pCustom->m_nB));
    // The swatch showed it at once.
    m_dlg->UpdateWindow();
    CRect rcNew = m_dlg->m_rcNew;
    Canvas canvas(rc.Width(), rc.Height());
    CRect rcClient;
    m_dlg->GetClientRect(&rcClient);
    Canvas swatch(rcClient.Width(), rcClient.Height());
    m_dlg->DrawSwatch(swatch.DC());
    EXPECT_EQ(clrPicked, swatch.Pixel(rcNew.CenterPoint().x, rcNew.CenterPoint().y));

    // Back on the standard page the hexagon still holds white, which is no
    // longer the dialog's colour: no outline round the white cells.
    ASSERT_TRUE(m_dlg->SetActivePage(0));
    testsupport::PumpPending();
    hex.GetClientRect(&rc);
    Canvas hexCanvas(rc.Width(), rc.Height());
    hex.DrawPicture(hexCanvas.DC());
    const CPoint ptWhite = hex.GetCell(CXTColorHex::kWhiteSmall)->pPoints[0];
    EXPECT_EQ(RGB(255, 255, 255), hexCanvas.Pixel(ptWhite.x + 7, ptWhite.y - 3));   // the cell's top edge
    m_dlg->SetNewColor(RGB(255, 255, 255), FALSE);
    hex.DrawPicture(hexCanvas.DC());
    EXPECT_EQ(RGB(0, 0, 0), hexCanvas.Pixel(ptWhite.x + 7, ptWhite.y - 5));   // the outer black ring
}

TEST_F(ColorDialogTest, OpeningAndClosingLeaksNoGdiObjects)
{
    DWORD dwBefore = 0;
    for (int i = 0; i < 6; i++)
    {
        // The first round makes what the system keeps for later sheets.
        if (i == 1)
            dwBefore = testsupport::GdiHighWater();
        Open(RGB(1, 1, 1), RGB(1, 1, 1), CPS_XT_SHOW3DSELECTION | CPS_XT_SHOWHEXVALUE);
        m_dlg->SetActivePage(1);
        testsupport::PumpPending();
        m_dlg->SetActivePage(0);
        Snapshot("leak_check");
        m_dlg.reset();
    }
    EXPECT_LE(testsupport::GdiHighWater(), dwBefore + 2);
}

namespace
{
// Runs the dialog modally; the action runs once its window exists.
INT_PTR RunModal(CXTColorDialog& dlg, std::function<void(CXTColorDialog*)> action)
{
    testsupport::ModalDriver driver([&](HWND hDlg) {
        CXTColorDialog* p = DYNAMIC_DOWNCAST(CXTColorDialog, CWnd::FromHandlePermanent(hDlg));
        if (p == NULL)
        {
            ::PostMessage(hDlg, WM_COMMAND, IDCANCEL, 0);
            return;
        }
        testsupport::ModalDriver::ShowNow(hDlg);
        action(p);
    });
    return dlg.DoModal();
}
} // namespace

TEST_F(ThemeTest, OKGivesThePickedColourAndCancelChangesNothing)
{
    {
        CXTColorDialog dlg(RGB(0, 0, 0), RGB(0, 0, 0), CPS_XT_SHOW3DSELECTION);
        const INT_PTR nResult = RunModal(dlg, [](CXTColorDialog* p) {
            CXTColorHex& hex = p->GetStandardPage()->m_colorHex;
            testsupport::SendClick(hex, testsupport::HexCellCentre(hex, 76));
            p->PressButton(PSBTN_OK);
        });
        EXPECT_EQ(IDOK, nResult);
        EXPECT_EQ(RGB(255, 204, 204), dlg.GetColor());
    }
    {
        CXTColorDialog dlg(RGB(0, 0, 0), RGB(0, 0, 0), CPS_XT_SHOW3DSELECTION);
        const INT_PTR nResult = RunModal(dlg, [](CXTColorDialog* p) {
            CXTColorHex& hex = p->GetStandardPage()->m_colorHex;
            const CPoint pt = testsupport::HexCellCentre(hex, 76);
            hex.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
            p->PressButton(PSBTN_CANCEL);
        });
        EXPECT_EQ(IDCANCEL, nResult);
    }
}

TEST_F(ThemeTest, ADoubleClickOrEnterInAPickerEndsTheDialogWithOK)
{
    {
        CXTColorDialog dlg(RGB(0, 0, 0), RGB(0, 0, 0), CPS_XT_SHOW3DSELECTION);
        const INT_PTR nResult = RunModal(dlg, [](CXTColorDialog* p) {
            CXTColorHex& hex = p->GetStandardPage()->m_colorHex;
            const CPoint pt = testsupport::HexCellCentre(hex, 0);
            hex.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
        });
        EXPECT_EQ(IDOK, nResult);
        EXPECT_EQ(RGB(0x00, 0x33, 0x66), dlg.GetColor());
    }
    {
        CXTColorDialog dlg(RGB(0, 0, 0), RGB(0, 0, 0), CPS_XT_SHOW3DSELECTION);
        const INT_PTR nResult = RunModal(dlg, [](CXTColorDialog* p) {
            p->SetActivePage(1);
            CXTColorWnd& wnd = p->GetCustomPage()->m_colorWnd;
            wnd.SetFocus();
            ::PostMessage(wnd.m_hWnd, WM_KEYDOWN, VK_RETURN, 1);
        });
        EXPECT_EQ(IDOK, nResult);
    }
    {
        CXTColorDialog dlg(RGB(0, 0, 0), RGB(0, 0, 0), CPS_XT_SHOW3DSELECTION);
        const INT_PTR nResult = RunModal(dlg, [](CXTColorDialog* p) {
            CXTColorHex& hex = p->GetStandardPage()->m_colorHex;
            hex.SetFocus();
            ::PostMessage(hex.m_hWnd, WM_KEYDOWN, VK_LEFT, 1);
            ::PostMessage(hex.m_hWnd, WM_KEYDOWN, VK_RETURN, 1);
        });
        EXPECT_EQ(IDOK, nResult);
        // From the black cell Left goes back along the grey chain.
        EXPECT_EQ(RGB(0x08, 0x08, 0x08), dlg.GetColor());
    }
}
