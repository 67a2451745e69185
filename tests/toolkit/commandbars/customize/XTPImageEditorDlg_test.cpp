// The "Button Editor" dialog: its tool bars on both image paths, the idle
// update of their buttons, tooltips, the palette and the custom colour, the
// preview, and a modal run that draws an image and
// hands it back (with a snapshot).
#include <gtest/gtest.h>

#include "XTPColorManager.h"
#include "XTPImageEditorDlg.h"
#include "XTPImageManager.h"
#include "XTPResourceManager.h"
#include "XTPSystemHelpers.h"
#include "support/modal.h"
#include "support/snapshot.h"
#include "../../../resources/customize_editor_res.h"

#include <string>

namespace
{
class EditorTest : public ::testing::Test
{
protected:
    void TearDown() override { Close(); }

    void Open(BOOL bAlphaImages, BOOL bCustomizeMode = FALSE)
    {
        pDlg = new CXTPImageEditorDlg(NULL, bCustomizeMode);
        pDlg->m_bAlphaToolImages = bAlphaImages;
        ASSERT_TRUE(pDlg->CreateIndirect(XTPResourceManager()->LoadDialogTemplate(XTP_IDD_IMAGEEDITOR_DIALOG), NULL));
        pDlg->ShowWindow(SW_SHOWNA);
    }
    void Close()
    {
        if (pDlg == NULL)
            return;
        pDlg->DestroyWindow();
        delete pDlg;
        pDlg = NULL;
    }
    void Idle() { pDlg->SendMessage(WM_KICKIDLE, 0, 0); }
    BOOL ButtonEnabled(CToolBar& bar, UINT nID) { return (BOOL)bar.SendMessage(TB_ISBUTTONENABLED, nID); }
    BOOL ButtonChecked(CToolBar& bar, UINT nID) { return (BOOL)bar.SendMessage(TB_ISBUTTONCHECKED, nID); }
    void Click(CWnd& wnd) { wnd.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2)); }
    CRect ClientRectOf(CWnd& wnd)
    {
        CRect rc;
        wnd.GetWindowRect(&rc);
        pDlg->ScreenToClient(&rc);
        return rc;
    }

    CXTPImageEditorDlg* pDlg = NULL;
};
} // namespace

TEST_F(EditorTest, ToolBarsHoldTwelveAndFourButtonsOnBothImagePaths)
{
    // 32-bit images only with common controls 6 or later (not under Wine
    // without a manifest); the 16-colour strip otherwise.
    {
        CXTPImageEditorDlg dlg;
        EXPECT_EQ(XTPGetComCtlVersion() >= MAKELONG(0, 6), dlg.m_bAlphaToolImages != FALSE);
    }
    for (BOOL bAlpha : {TRUE, FALSE})
    {
        Open(bAlpha);
        IMAGEINFO info;
        ASSERT_TRUE(pDlg->m_ilTools.GetImageInfo(0, &info));
        BITMAP bm;
        ASSERT_NE(0, ::GetObject(info.hbmImage, sizeof(bm), &bm));
        if (bAlpha)
        {
            EXPECT_EQ(32, bm.bmBitsPixel) << "the alpha strip keeps its channel";
        }
        EXPECT_EQ(12, pDlg->m_wndToolbarTools.GetCount()) << bAlpha;
        EXPECT_EQ(4, pDlg->m_wndToolbarMove.GetCount()) << bAlpha;
        // The tools bar uses the first 12 of the 16 images; the move bar's
        // list holds only the last 4.
        EXPECT_EQ(16, pDlg->m_ilTools.GetImageCount()) << bAlpha;
        EXPECT_EQ(4, pDlg->m_ilMove.GetImageCount()) << bAlpha;
        int cx = 0, cy = 0;
        ASSERT_TRUE(pDlg->m_ilTools.GetIconSize(&cx, &cy));
        EXPECT_EQ(16, cx);
        EXPECT_EQ(16, cy);
        EXPECT_EQ(XTP_ID_IMAGEEDITOR_PENCIL, (int)pDlg->m_wndToolbarTools.GetItemID(0));
        EXPECT_EQ(XTP_ID_IMAGEEDITOR_OPEN, (int)pDlg->m_wndToolbarTools.GetItemID(11));
        EXPECT_EQ(XTP_ID_IMAGEEDITOR_MOVELEFT, (int)pDlg->m_wndToolbarMove.GetItemID(0));

        // Three rows of four buttons; the move buttons in one row.
        CRect rcFirst, rcFourth, rcFifth, rcLast;
        pDlg->m_wndToolbarTools.GetItemRect(0, &rcFirst);
        pDlg->m_wndToolbarTools.GetItemRect(3, &rcFourth);
        pDlg->m_wndToolbarTools.GetItemRect(4, &rcFifth);
        pDlg->m_wndToolbarTools.GetItemRect(11, &rcLast);
        EXPECT_EQ(rcFirst.top, rcFourth.top);
        EXPECT_EQ(rcFirst.left, rcFifth.left);
        EXPECT_GT(rcFifth.top, rcFirst.top);
        EXPECT_EQ(rcFourth.right, rcLast.right);
        EXPECT_EQ(rcFirst.top + 2 * (rcFifth.top - rcFirst.top), rcLast.top);
        CRect rcMove0, rcMove3;
        pDlg->m_wndToolbarMove.GetItemRect(0, &rcMove0);
        pDlg->m_wndToolbarMove.GetItemRect(3, &rcMove3);
        EXPECT_EQ(rcMove0.top, rcMove3.top);

        // Every button lies inside the bar's window.
        CRect rcBar;
        pDlg->m_wndToolbarTools.GetClientRect(&rcBar);
        EXPECT_GE(rcBar.right, rcLast.right);
        EXPECT_GE(rcBar.bottom, rcLast.bottom);
        Close();
    }
}

TEST_F(EditorTest, IdleUpdateChecksTheToolAndEnablesUndoOnlyWithHistory)
{
    Open(FALSE);
    Idle();
    EXPECT_TRUE(ButtonChecked(pDlg->m_wndToolbarTools, XTP_ID_IMAGEEDITOR_PENCIL));
    EXPECT_FALSE(ButtonChecked(pDlg->m_wndToolbarTools, XTP_ID_IMAGEEDITOR_LINE));
    EXPECT_FALSE(ButtonEnabled(pDlg->m_wndToolbarTools, XTP_ID_IMAGEEDITOR_UNDO));
    EXPECT_FALSE(ButtonEnabled(pDlg->m_wndToolbarTools, XTP_ID_IMAGEEDITOR_REDO));
    EXPECT_TRUE(ButtonEnabled(pDlg->m_wndToolbarTools, XTP_ID_IMAGEEDITOR_CLEAR));
    EXPECT_TRUE(ButtonEnabled(pDlg->m_wndToolbarTools, XTP_ID_IMAGEEDITOR_PASTE));
    EXPECT_TRUE(ButtonEnabled(pDlg->m_wndToolbarMove, XTP_ID_IMAGEEDITOR_MOVEUP));

    // The tool buttons choose the tool.
    pDlg->SendMessage(WM_COMMAND, XTP_ID_IMAGEEDITOR_LINE, 0);
    EXPECT_EQ(xtpToolLine, pDlg->GetCurrentTool());
    pDlg->SendMessage(WM_COMMAND, XTP_ID_IMAGEEDITOR_GETCOLOR, 0);
    pDlg->SendMessage(WM_COMMAND, XTP_ID_IMAGEEDITOR_GETCOLOR, 0);
    EXPECT_EQ(xtpToolLine, pDlg->GetPreviousTool());
    Idle();
    EXPECT_TRUE(ButtonChecked(pDlg->m_wndToolbarTools, XTP_ID_IMAGEEDITOR_GETCOLOR));
    EXPECT_FALSE(ButtonChecked(pDlg->m_wndToolbarTools, XTP_ID_IMAGEEDITOR_PENCIL));

    // A move makes a step: Undo is enabled, then Redo after undoing.
    pDlg->SendMessage(WM_COMMAND, XTP_ID_IMAGEEDITOR_MOVERIGHT, 0);
    Idle();
    EXPECT_TRUE(ButtonEnabled(pDlg->m_wndToolbarTools, XTP_ID_IMAGEEDITOR_UNDO));
    EXPECT_FALSE(ButtonEnabled(pDlg->m_wndToolbarTools, XTP_ID_IMAGEEDITOR_REDO));
    pDlg->SendMessage(WM_COMMAND, XTP_ID_IMAGEEDITOR_UNDO, 0);
    Idle();
    EXPECT_FALSE(ButtonEnabled(pDlg->m_wndToolbarTools, XTP_ID_IMAGEEDITOR_UNDO));
    EXPECT_TRUE(ButtonEnabled(pDlg->m_wndToolbarTools, XTP_ID_IMAGEEDITOR_REDO));
}

TEST_F(EditorTest, TooltipsKeepSeventyNineCharactersAndTheTerminator)
{
    std::string strLong = "\n" + std::string(120, 'x');
    char szText[81];
    memset(szText, '#', sizeof(szText));
    EXPECT_EQ(79, CXTPImageEditorDlg::CopyToolTipText(strLong.c_str(), szText, 80));
    EXPECT_EQ(0, szText[79]);
    EXPECT_EQ('#', szText[80]) << "nothing is written past the buffer";
    EXPECT_EQ(std::string(79, 'x'), std::string(szText));

    WCHAR szWide[81];
    for (WCHAR& ch : szWide)
        ch = L'#';
    EXPECT_EQ(79, CXTPImageEditorDlg::CopyToolTipText(strLong.c_str(), szWide, 80));
    EXPECT_EQ(0, szWide[79]);
    EXPECT_EQ(L'#', szWide[80]);

    EXPECT_EQ(0, CXTPImageEditorDlg::CopyToolTipText("No tip", szText, 80));
    EXPECT_EQ(0, szText[0]);

    NMTTDISPINFOA info;
    memset(&info, 0, sizeof(info));
    info.hdr.code = TTN_GETDISPINFOA;
    info.hdr.idFrom = XTP_ID_IMAGEEDITOR_OPEN;
    ASSERT_TRUE(CXTPImageEditorDlg::OnToolTipText(&info.hdr));
    EXPECT_EQ(std::string("Import from File"), info.lpszText);
    NMTTDISPINFOW wide;
    memset(&wide, 0, sizeof(wide));
    wide.hdr.code = TTN_GETDISPINFOW;
    wide.hdr.idFrom = XTP_ID_IMAGEEDITOR_CIRCLE;
    ASSERT_TRUE(CXTPImageEditorDlg::OnToolTipText(&wide.hdr));
    EXPECT_EQ(std::wstring(L"Ellipse"), wide.lpszText);
    NMHDR other = {NULL, 1, NM_CLICK};
    EXPECT_FALSE(CXTPImageEditorDlg::OnToolTipText(&other));
}

TEST_F(EditorTest, PaletteSwatchesStandInTwoRowsAndSelectOnClick)
{
    Open(FALSE);
    CRect rcFirst = ClientRectOf(pDlg->m_wndPicker[0]);
    EXPECT_EQ(11, rcFirst.Width());
    EXPECT_EQ(11, rcFirst.Height());
    for (int i = 0; i < CXTPImageEditorDlg::nPaletteColors; i++)
    {
        CRect rc = ClientRectOf(pDlg->m_wndPicker[i]);
        EXPECT_EQ(rcFirst.left + 13 * (i % 8), rc.left) << i;
        EXPECT_EQ(rcFirst.top + 13 * (i / 8), rc.top) << i;
        EXPECT_EQ((int)CXTPImageEditorDlg::m_arrPaletteIds[i], pDlg->m_wndPicker[i].GetDlgCtrlID());
    }
    EXPECT_EQ(&pDlg->m_wndPicker[0], pDlg->GetSelectedPicker());
    EXPECT_EQ(RGB(0, 0, 0), pDlg->GetCurrentColor());

    Click(pDlg->m_wndPicker[10]);
    EXPECT_EQ(RGB(255, 0, 0), pDlg->GetCurrentColor());
    EXPECT_TRUE(pDlg->m_wndPicker[10].m_bSelected);
    EXPECT_FALSE(pDlg->m_wndPicker[0].m_bSelected);
    Click(pDlg->m_wndPickerTransparent);
    EXPECT_EQ(XTP_IMAGEEDITOR_TRANSPARENT, pDlg->GetCurrentColor());

    // A selected swatch has a black frame with a white one inside; the
    // transparent swatch shows white and light grey quarters.
    CDC dc;
    dc.CreateCompatibleDC(NULL);
    CBitmap bmp;
    bmp.CreateBitmap(11, 11, 1, 32, NULL);
    CBitmap* pOld = dc.SelectObject(&bmp);
    pDlg->m_wndPickerTransparent.DrawPicker(&dc, CRect(0, 0, 11, 11));
    EXPECT_EQ(RGB(0, 0, 0), dc.GetPixel(0, 0));
    EXPECT_EQ(RGB(255, 255, 255), dc.GetPixel(1, 5));
    EXPECT_EQ(RGB(0xEB, 0xEB, 0xEB), dc.GetPixel(3, 3));
    EXPECT_EQ(RGB(255, 255, 255), dc.GetPixel(8, 3));
    EXPECT_EQ(RGB(0xEB, 0xEB, 0xEB), dc.GetPixel(8, 8));
    pDlg->m_wndPicker[10].DrawPicker(&dc, CRect(0, 0, 11, 11));
    EXPECT_EQ(GetXTPSysColor(COLOR_3DDKSHADOW), dc.GetPixel(0, 0));
    EXPECT_EQ(RGB(255, 0, 0), dc.GetPixel(5, 5));
    dc.SelectObject(pOld);
}

TEST_F(EditorTest, TheCustomSwatchAsksForAColourAndCancelKeepsTheSelection)
{
    Open(FALSE);
    Click(pDlg->m_wndPicker[3]);
    const HWND hEditor = pDlg->m_hWnd;
    {
        testsupport::ModalDriver driver([](HWND hDlg) { testsupport::ModalDriver::Press(hDlg, IDCANCEL); }, hEditor);
        Click(pDlg->m_wndPickerCustom);
        EXPECT_TRUE(driver.HasRun()) << "the colour dialog opened";
    }
    EXPECT_EQ(&pDlg->m_wndPicker[3], pDlg->GetSelectedPicker());

    pDlg->m_wndPickerCustom.m_clr = RGB(10, 20, 30);
    {
        testsupport::ModalDriver driver([](HWND hDlg) { testsupport::ModalDriver::Press(hDlg, IDOK); }, hEditor);
        Click(pDlg->m_wndPickerCustom);
        EXPECT_TRUE(driver.HasRun());
    }
    EXPECT_EQ(&pDlg->m_wndPickerCustom, pDlg->GetSelectedPicker());
    EXPECT_EQ(RGB(10, 20, 30), pDlg->GetCurrentColor());
}

TEST_F(EditorTest, ThePreviewShowsTheImageOnTheButtonFace)
{
    Open(FALSE);
    CXTPImageEditorPicture* pCanvas = pDlg->GetPictureCtrl();
    pDlg->SelectTool(xtpToolPencil);
    pCanvas->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
    pCanvas->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
    ASSERT_EQ(RGB(0, 0, 0), pCanvas->GetPicture()->GetColor(0, 0));

    CRect rc(0, 0, 120, 40);
    CDC dc;
    dc.CreateCompatibleDC(NULL);
    CBitmap bmp;
    bmp.CreateBitmap(rc.Width(), rc.Height(), 1, 32, NULL);
    CBitmap* pOld = dc.SelectObject(&bmp);
    pDlg->m_wndPreview.DrawPreview(&dc, rc);
    const int top = (40 - 16) / 2;
    const COLORREF clrFace = GetXTPSysColor(COLOR_3DFACE);
    EXPECT_EQ(RGB(0, 0, 0), dc.GetPixel(10, top)) << "the drawn pixel at the image's corner";
    EXPECT_EQ(clrFace, dc.GetPixel(11, top)) << "transparent pixels show the face";
    EXPECT_EQ(RGB(255, 255, 255), dc.GetPixel(7, top + 5)) << "the light frame 3 pixels out";
    EXPECT_EQ(GetXTPSysColor(COLOR_3DDKSHADOW), dc.GetPixel(10 + 16 + 3, top + 5)) << "the dark frame 4 out";
    EXPECT_EQ(clrFace, dc.GetPixel(100, 2));
    dc.SelectObject(pOld);
}

TEST_F(EditorTest, TheMouseReachesTheCanvasAndTheSwatches)
{
    // Statics are transparent to the mouse unless they ask for clicks; the
    // canvas must take them itself, or no tool draws when the player clicks.
    Open(FALSE);
    CWnd* arrTargets[] = {pDlg->GetPictureCtrl(), &pDlg->m_wndPicker[3], &pDlg->m_wndPickerTransparent,
                          &pDlg->m_wndPickerCustom};
    for (CWnd* pWnd : arrTargets)
    {
        CRect rc;
        pWnd->GetWindowRect(&rc);
        const CPoint pt = rc.CenterPoint();
        EXPECT_EQ(HTCLIENT, (int)pWnd->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y)))
            << pWnd->GetDlgCtrlID();
    }
}

TEST_F(EditorTest, WithoutAnImageTheEditorUsesTheSizeItIsGiven)
{
    CXTPImageEditorDlg dlg;
    EXPECT_EQ(CSize(16, 16), dlg.GetPictureSize());
    CXTPImageManagerIconHandle hEmpty;
    EXPECT_FALSE(dlg.SetIcon(hEmpty));
    EXPECT_EQ(CSize(16, 16), dlg.GetPictureSize());

    pDlg = new CXTPImageEditorDlg();
    ASSERT_TRUE(pDlg->SetIconSize(CSize(24, 20)));
    ASSERT_TRUE(pDlg->CreateIndirect(XTPResourceManager()->LoadDialogTemplate(XTP_IDD_IMAGEEDITOR_DIALOG), NULL));
    EXPECT_EQ(CSize(24, 20), pDlg->GetPictureCtrl()->GetPictureSize());
    CSize szCell = pDlg->GetPictureCtrl()->GetCellSize();
    CRect rc;
    pDlg->GetPictureCtrl()->GetClientRect(&rc);
    EXPECT_EQ(szCell.cx * 24 + 1, rc.Width());
    EXPECT_EQ(szCell.cy * 20 + 1, rc.Height());
}

TEST_F(EditorTest, AModalRunDrawsAnImageAndHandsItBack)
{
    CXTPImageEditorDlg dlg;
    std::string strSnapshot;
    testsupport::ModalDriver driver([&](HWND hDlg) {
        CXTPImageEditorPicture* pCanvas = dlg.GetPictureCtrl();
        CSize szCell = pCanvas->GetCellSize();
        auto Cell = [&](int x, int y) {
            return MAKELPARAM(x * szCell.cx + szCell.cx / 2, y * szCell.cy + szCell.cy / 2);
        };
        auto Stroke = [&](int x0, int y0, int x1, int y1) {
            pCanvas->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, Cell(x0, y0));
            pCanvas->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, Cell(x1, y1));
            pCanvas->SendMessage(WM_LBUTTONUP, 0, Cell(x1, y1));
        };
        // A small house: a yellow wall with a red roof, a blue door and a
        // green lawn; the sky stays transparent.
        dlg.SelectPicker(&dlg.m_wndPicker[11]);
        dlg.SelectTool(xtpToolRectangle);
        Stroke(3, 7, 13, 14);
        dlg.SelectTool(xtpToolFill);
        Stroke(6, 10, 6, 10);
        dlg.SelectPicker(&dlg.m_wndPicker[0]);
        dlg.SelectTool(xtpToolRectangle);
        Stroke(3, 7, 13, 14);
        dlg.SelectPicker(&dlg.m_wndPicker[10]);
        dlg.SelectTool(xtpToolLine);
        for (int i = 0; i < 3; i++)
        {
            Stroke(2 + i, 7 - i, 8, 1 + i);
            Stroke(8, 1 + i, 14 - i, 7 - i);
        }
        dlg.SelectPicker(&dlg.m_wndPicker[14]);
        dlg.SelectTool(xtpToolRectangle);
        Stroke(7, 10, 10, 14);
        dlg.SelectTool(xtpToolFill);
        Stroke(8, 12, 8, 12);
        dlg.SelectPicker(&dlg.m_wndPicker[4]);
        dlg.SelectTool(xtpToolLine);
        Stroke(0, 15, 16, 15);
        dlg.SelectPicker(&dlg.m_wndPicker[14]);
        dlg.SendMessage(WM_KICKIDLE, 0, 0);
        testsupport::ModalDriver::ShowNow(hDlg);
        strSnapshot = testsupport::SaveWindowSnapshot(hDlg, "image_editor");
        testsupport::ModalDriver::Press(hDlg, IDOK);
    });
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_TRUE(driver.HasRun());
    EXPECT_FALSE(strSnapshot.empty());

    CXTPImageManagerIconHandle hIcon;
    dlg.GetIcon(&hIcon);
    ASSERT_FALSE(hIcon.IsEmpty());
    EXPECT_EQ(CSize(16, 16), hIcon.GetExtent());
}
