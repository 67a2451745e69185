// The button image canvas inside its editor: drawing tools, the undo and
// redo history and who owns which image, the cell size, clipboard round
// trips, import of good and damaged files, and GDI objects left behind.
// ctest: lock clipboard
#include <gtest/gtest.h>

#include "XTPImageEditorDlg.h"
#include "XTPImageManager.h"
#include "XTPColorManager.h"
#include "XTPResourceManager.h"
#include "support/answering.h"
#include "support/crafted_metafiles.h"
#include "support/data_files.h"
#include "support/gdi_count.h"
#include "support/icon_files.h"
#include "support/memory.h"
#include "support/modal.h"
#include "support/snapshot.h"
#include "support/tempfolder.h"
#include "../../../resources/customize_editor_res.h"

#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

using Picture = CXTPImageEditorPicture;
using Bitmap = CXTPImageEditorPicture::CAlphaBitmap;

namespace
{
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kTransparent = XTP_IMAGEEDITOR_TRANSPARENT;

// The editor made modeless, so that a test can drive its canvas directly.
class CanvasTest : public ::testing::Test
{
protected:
    void SetUp() override { Open(CSize(16, 16)); }
    void TearDown() override { Close(); }

    void Open(CSize szPicture)
    {
        pDlg = new CXTPImageEditorDlg();
        if (szPicture.cx > 0)
            pDlg->SetIconSize(szPicture);
        ASSERT_TRUE(pDlg->CreateIndirect(XTPResourceManager()->LoadDialogTemplate(XTP_IDD_IMAGEEDITOR_DIALOG), NULL));
        pDlg->ShowWindow(SW_SHOWNA);
        pCanvas = pDlg->GetPictureCtrl();
        ASSERT_TRUE(pCanvas->GetSafeHwnd() != NULL);
    }
    void Close()
    {
        if (pDlg != NULL)
        {
            pDlg->DestroyWindow();
            delete pDlg;
            pDlg = NULL;
        }
    }

    // The client point in the middle of a cell.
    LPARAM CellPoint(int x, int y) const
    {
        CSize szCell = pCanvas->GetCellSize();
        return MAKELPARAM(x * szCell.cx + szCell.cx / 2, y * szCell.cy + szCell.cy / 2);
    }
    void Down(int x, int y) { pCanvas->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, CellPoint(x, y)); }
    void Move(int x, int y) { pCanvas->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, CellPoint(x, y)); }
    void Up(int x, int y) { pCanvas->SendMessage(WM_LBUTTONUP, 0, CellPoint(x, y)); }
    void Stroke(int x0, int y0, int x1, int y1)
    {
        Down(x0, y0);
        Move(x1, y1);
        Up(x1, y1);
    }
    void Tool(int nTool) { pDlg->SelectTool(nTool); }
    void Colour(COLORREF clr)
    {
        for (int i = 0; i < CXTPImageEditorDlg::nPaletteColors; i++)
        {
            if (pDlg->m_wndPicker[i].m_clr == clr)
            {
                pDlg->SelectPicker(&pDlg->m_wndPicker[i]);
                return;
            }
        }
        pDlg->m_wndPickerCustom.m_clr = clr;
        pDlg->SelectPicker(&pDlg->m_wndPickerCustom);
    }
    COLORREF At(int x, int y) const
    {
        Bitmap* p = pCanvas->GetPicture();
        return p == NULL ? kTransparent : p->GetColor(x, y);
    }
    // The picture as text rows: '.' transparent, 'k' black, 'r' red, '?' other.
    std::vector<std::string> Rows() const
    {
        std::vector<std::string> rows;
        CSize sz = pCanvas->GetPictureSize();
        for (int y = 0; y < sz.cy; y++)
        {
            std::string row;
            for (int x = 0; x < sz.cx; x++)
            {
                COLORREF c = At(x, y);
                row += c == kTransparent ? '.' : c == kBlack ? 'k' : c == kRed ? 'r' : '?';
            }
            rows.push_back(row);
        }
        return rows;
    }

    // The canvas painted into a bitmap of its client size (white before),
    // saved as a snapshot under the name.
    std::unique_ptr<testsupport::Canvas> PaintCanvas(const char* pszName)
    {
        CRect rc;
        pCanvas->GetClientRect(&rc);
        std::unique_ptr<testsupport::Canvas> pOut(new testsupport::Canvas(rc.Width(), rc.Height(), RGB(1, 2, 3)));
        pCanvas->DrawPicture(pOut->DC(), rc);
        EXPECT_FALSE(testsupport::SaveSnapshot(*pOut, pszName).empty());
        return pOut;
    }
    static int CountNotWhite(const testsupport::Canvas* pOut)
    {
        int nCount = 0;
        for (int y = 0; y < pOut->Height(); y++)
            for (int x = 0; x < pOut->Width(); x++)
                nCount += pOut->Pixel(x, y) != RGB(255, 255, 255) ? 1 : 0;
        return nCount;
    }

    // Import through the file dialog, which gets the path and OK: one
    // message says the picture could not be read and nothing changes.
    void ImportDamagedThroughTheDialog(const std::string& strPath);

    CXTPImageEditorDlg* pDlg = NULL;
    Picture* pCanvas = NULL;
};

// A 24-bit bottom-up BMP file of the pixels (rows top first).
std::vector<BYTE> MakeBmp(int cx, int cy, COLORREF clr)
{
    const int nRow = ((cx * 3 + 3) / 4) * 4;
    std::vector<BYTE> out(54 + (size_t)nRow * cy, 0);
    auto Put32 = [&](size_t at, DWORD v) { memcpy(&out[at], &v, 4); };
    out[0] = 'B';
    out[1] = 'M';
    Put32(2, (DWORD)out.size());
    Put32(10, 54);
    Put32(14, 40);
    Put32(18, (DWORD)cx);
    Put32(22, (DWORD)cy);
    out[26] = 1;
    out[28] = 24;
    for (int y = 0; y < cy; y++)
        for (int x = 0; x < cx; x++)
        {
            BYTE* p = &out[54 + (size_t)y * nRow + (size_t)x * 3];
            p[0] = GetBValue(clr);
            p[1] = GetGValue(clr);
            p[2] = GetRValue(clr);
        }
    return out;
}

// An icon file with one 32-bit image of cx x cx: opaque clr on the left
// half, fully transparent on the right.
std::vector<BYTE> MakeAlphaIcon(int cx, COLORREF clr)
{
    const DWORD nPixels = (DWORD)(cx * cx * 4);
    const DWORD nMask = (DWORD)(((cx + 31) / 32) * 4 * cx);
    const DWORD nImage = 40 + nPixels + nMask;
    std::vector<BYTE> out = testsupport::IconFileFrame(1, cx, 32, nImage);
    for (int y = 0; y < cx; y++)
        for (int x = 0; x < cx; x++)
        {
            DWORD p = x < cx / 2 ? (0xFF000000 | ((DWORD)GetRValue(clr) << 16) | ((DWORD)GetGValue(clr) << 8) |
                                    GetBValue(clr))
                                 : 0;
            testsupport::PutDword(out, 62 + ((size_t)y * cx + x) * 4, p);
        }
    return out;
}

std::string WriteFile(const testsupport::CTempFolder& folder, const char* pszName, const std::vector<BYTE>& data)
{
    std::string strPath = folder.Path(pszName);
    std::ofstream file(strPath.c_str(), std::ios::binary);
    file.write((const char*)data.data(), (std::streamsize)data.size());
    return strPath;
}
} // namespace

TEST_F(CanvasTest, CellsFillTheCanvasAndAreAtLeastOnePixel)
{
    CSize szCell = pCanvas->GetCellSize();
    EXPECT_GE(szCell.cx, 4);
    EXPECT_GE(szCell.cy, 4);
    CRect rc;
    pCanvas->GetClientRect(&rc);
    EXPECT_EQ(szCell.cx * 16 + 1, rc.Width());
    EXPECT_EQ(szCell.cy * 16 + 1, rc.Height());

    // An image larger than the canvas gets cells of one pixel, and the
    // mouse still works on it.
    Close();
    Open(CSize(400, 300));
    EXPECT_EQ(CSize(1, 1), pCanvas->GetCellSize());
    Tool(xtpToolPencil);
    Colour(kRed);
    pCanvas->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 7));
    pCanvas->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 7));
    EXPECT_EQ(kRed, At(5, 7));

    // An empty size is refused.
    EXPECT_FALSE(pDlg->SetIconSize(CSize(0, 16)));
    EXPECT_FALSE(pDlg->SetIconSize(CSize(16, -1)));
    EXPECT_EQ(CSize(400, 300), pDlg->GetPictureSize());
    Bitmap empty;
    EXPECT_FALSE(empty.CreateImage(CSize(0, 0)));
}

TEST_F(CanvasTest, SixteenStepsUndoAndANewStepClearsRedo)
{
    Tool(xtpToolPencil);
    Colour(kBlack);
    for (int i = 0; i < 17; i++)
        Stroke(i % 16, i / 16, i % 16, i / 16);
    EXPECT_EQ(16, pCanvas->GetUndoCount());
    EXPECT_EQ(0, pCanvas->GetRedoCount());

    for (int i = 0; i < 16; i++)
        pCanvas->OnUndo();
    EXPECT_EQ(0, pCanvas->GetUndoCount());
    EXPECT_EQ(16, pCanvas->GetRedoCount());
    // The oldest step is kept: only its pixel is left.
    EXPECT_EQ(kBlack, At(0, 0));
    EXPECT_EQ(kTransparent, At(1, 0));
    pCanvas->OnUndo();
    EXPECT_EQ(kBlack, At(0, 0)) << "nothing more to undo";

    pCanvas->OnRedo();
    pCanvas->OnRedo();
    EXPECT_EQ(kBlack, At(2, 0));
    EXPECT_EQ(14, pCanvas->GetRedoCount());
    Stroke(5, 5, 5, 5);
    EXPECT_EQ(0, pCanvas->GetRedoCount());
    EXPECT_EQ(3, pCanvas->GetUndoCount());
}

TEST_F(CanvasTest, PencilOnThePixelsColourErasesUntilRelease)
{
    Tool(xtpToolPencil);
    Colour(kRed);
    Down(3, 3);
    Move(4, 3);
    Move(6, 3);   // cells passed between two messages are not joined
    Up(6, 3);
    EXPECT_EQ("...rr.r.........", Rows()[3]);
    EXPECT_EQ(1, pCanvas->GetUndoCount());

    Down(4, 3);
    Move(3, 3);
    Move(5, 3);
    Move(6, 3);
    Up(6, 3);
    EXPECT_EQ("................", Rows()[3]) << "a stroke that starts on red erases";
    EXPECT_EQ(2, pCanvas->GetUndoCount());
}

TEST_F(CanvasTest, EachStepIsCommittedOnceWhateverEndsIt)
{
    Tool(xtpToolPencil);
    Colour(kBlack);
    // Losing the capture while nothing is drawn commits nothing.
    pCanvas->SendMessage(WM_CAPTURECHANGED, 0, 0);
    EXPECT_EQ(0, pCanvas->GetUndoCount());

    // Release and the capture change that follows it make one step.
    Down(1, 1);
    EXPECT_TRUE(pCanvas->IsTracking());
    Up(1, 1);
    pCanvas->SendMessage(WM_CAPTURECHANGED, 0, 0);
    EXPECT_FALSE(pCanvas->IsTracking());
    EXPECT_EQ(1, pCanvas->GetUndoCount());

    // Losing the capture in the middle of a stroke commits it once.
    Down(2, 2);
    Move(3, 2);
    pDlg->SetCapture();
    EXPECT_FALSE(pCanvas->IsTracking());
    Up(3, 2);
    EXPECT_EQ(2, pCanvas->GetUndoCount());
    EXPECT_EQ(kBlack, At(3, 2));
    ::ReleaseCapture();

    pCanvas->OnUndo();
    pCanvas->OnUndo();
    EXPECT_TRUE(pCanvas->GetPicture() == NULL) << "the first step started from no image";
}

TEST_F(CanvasTest, FillFloodsTheAreaOfOneColourAndAlwaysMakesAStep)
{
    Tool(xtpToolLine);
    Colour(kBlack);
    Stroke(8, 0, 8, 15);   // a wall down column 8; the line leaves its end cell out
    ASSERT_EQ(kTransparent, At(8, 15));
    Tool(xtpToolPencil);
    Stroke(8, 15, 8, 15);
    Tool(xtpToolFill);
    Colour(kRed);
    Down(2, 2);
    Up(2, 2);
    std::vector<std::string> rows = Rows();
    for (const std::string& row : rows)
        EXPECT_EQ("rrrrrrrrk.......", row);
    EXPECT_EQ(3, pCanvas->GetUndoCount());

    // Filling red on red changes nothing but is a step.
    Down(0, 0);
    Up(0, 0);
    EXPECT_EQ(rows, Rows());
    EXPECT_EQ(4, pCanvas->GetUndoCount());
}

TEST_F(CanvasTest, ShapesFollowTheMouseAndTheEllipseClearsItsInside)
{
    Colour(kRed);
    Tool(xtpToolFill);
    Down(0, 0);
    Up(0, 0);

    Colour(kBlack);
    Tool(xtpToolRectangle);
    Down(2, 2);
    Move(12, 12);
    Move(8, 6);   // only the last shape stays
    Up(8, 6);
    std::vector<std::string> rows = Rows();
    EXPECT_EQ("rrrrrrrrrrrrrrrr", rows[1]);
    EXPECT_EQ("rrkkkkkkrrrrrrrr", rows[2]);
    EXPECT_EQ("rrkrrrrkrrrrrrrr", rows[3]);
    EXPECT_EQ("rrkkkkkkrrrrrrrr", rows[5]);
    EXPECT_EQ("rrrrrrrrrrrrrrrr", rows[6]);
    EXPECT_EQ("rrrrrrrrrrrrrrrr", rows[11]);

    pCanvas->OnUndo();
    Tool(xtpToolCircle);
    Down(2, 2);
    Move(14, 14);
    Up(14, 14);
    rows = Rows();
    EXPECT_EQ('.', rows[8][8]) << "the inside is transparent";
    EXPECT_EQ('k', rows[8][2]);
    EXPECT_EQ('r', rows[0][0]) << "outside the ellipse the fill stays";
    EXPECT_EQ('r', rows[15][15]);

    pCanvas->OnUndo();
    Tool(xtpToolLine);
    Down(1, 10);
    Move(6, 10);
    Up(6, 10);
    EXPECT_EQ("rkkkkkrrrrrrrrrr", Rows()[10]);
}

TEST_F(CanvasTest, ClearLeavesNoImageAndDrawingStartsOnABlankOne)
{
    Tool(xtpToolPencil);
    Colour(kRed);
    Stroke(4, 4, 4, 4);
    pCanvas->OnClear();
    EXPECT_TRUE(pCanvas->GetPicture() == NULL);
    EXPECT_EQ(2, pCanvas->GetUndoCount());

    // The cleared canvas paints plain white, edges included.
    EXPECT_EQ(0, CountNotWhite(PaintCanvas("canvas_cleared").get()));

    Stroke(1, 1, 1, 1);
    ASSERT_TRUE(pCanvas->GetPicture() != NULL);
    EXPECT_EQ(kRed, At(1, 1));
    EXPECT_EQ(kTransparent, At(4, 4));
    pCanvas->OnUndo();
    EXPECT_TRUE(pCanvas->GetPicture() == NULL);
    pCanvas->OnUndo();
    EXPECT_EQ(kRed, At(4, 4));
}

TEST_F(CanvasTest, OnlyAnImageIsFramedAnEmptyCanvasIsPlainWhite)
{
    // A new editor without an image.
    ASSERT_TRUE(pCanvas->GetPicture() == NULL);
    EXPECT_EQ(0, CountNotWhite(PaintCanvas("canvas_empty").get()));

    // With an image: the checker, the drawn pixel and the black frame.
    Tool(xtpToolPencil);
    Colour(kRed);
    Stroke(2, 3, 2, 3);
    std::unique_ptr<testsupport::Canvas> pDrawn = PaintCanvas("canvas_one_red_pixel");
    const CSize szCell = pCanvas->GetCellSize();
    const int cx = pDrawn->Width(), cy = pDrawn->Height();
    EXPECT_EQ(kBlack, pDrawn->Pixel(0, 0));
    EXPECT_EQ(kBlack, pDrawn->Pixel(cx - 1, cy / 2));
    EXPECT_EQ(kBlack, pDrawn->Pixel(cx / 2, cy - 1));
    EXPECT_EQ(kRed, pDrawn->Pixel(2 * szCell.cx + szCell.cx / 2, 3 * szCell.cy + szCell.cy / 2));
    EXPECT_EQ(RGB(235, 235, 235), pDrawn->Pixel(5, 1)) << "the checker's dark square";

    // The window paints the same way through WM_PRINTCLIENT.
    pCanvas->OnClear();
    CRect rc;
    pCanvas->GetClientRect(&rc);
    testsupport::Canvas printed(rc.Width(), rc.Height(), RGB(1, 2, 3));
    pCanvas->SendMessage(WM_PRINTCLIENT, (WPARAM)printed.Handle(), PRF_CLIENT);
    EXPECT_EQ(0, CountNotWhite(&printed));
}

TEST_F(CanvasTest, MoveShiftsByOnePixelAndDropsWhatFallsOff)
{
    Tool(xtpToolPencil);
    Colour(kRed);
    Stroke(0, 0, 0, 0);
    Stroke(15, 5, 15, 5);
    pCanvas->MovePicture(1, 0);
    EXPECT_EQ(kRed, At(1, 0));
    EXPECT_EQ(kTransparent, At(0, 0));
    EXPECT_EQ(kTransparent, At(15, 5)) << "the pixel moved off the edge";
    pCanvas->MovePicture(0, 1);
    EXPECT_EQ(kRed, At(1, 1));
    pCanvas->MovePicture(-1, -1);
    EXPECT_EQ(kRed, At(0, 0));
    EXPECT_EQ(5, pCanvas->GetUndoCount());
}

TEST_F(CanvasTest, PickColourGivesTheCustomSwatchAndReturnsToTheToolBefore)
{
    Tool(xtpToolPencil);
    Colour(RGB(0, 128, 128));
    Stroke(3, 3, 3, 3);
    Tool(xtpToolLine);
    Tool(xtpToolGetColor);
    Tool(xtpToolGetColor);   // twice in a row still returns to the line
    Colour(kBlack);
    Down(3, 3);
    Up(3, 3);
    EXPECT_EQ(RGB(0, 128, 128), pDlg->GetCurrentColor());
    EXPECT_EQ(&pDlg->m_wndPickerCustom, pDlg->GetSelectedPicker());
    EXPECT_EQ(xtpToolLine, pDlg->GetCurrentTool());
    EXPECT_EQ(1, pCanvas->GetUndoCount()) << "picking is no step";
}

TEST_F(CanvasTest, CopyThenPasteGivesBackTheSameImage)
{
    Tool(xtpToolPencil);
    Colour(kRed);
    Stroke(2, 2, 2, 2);
    Colour(kBlack);
    Stroke(3, 2, 3, 2);
    const std::vector<std::string> drawn = Rows();

    pCanvas->OnCopy();
    ASSERT_TRUE(::IsClipboardFormatAvailable(CF_BITMAP));
    EXPECT_FALSE(::IsClipboardFormatAvailable(CXTPImageManager::GetAlphaBitmapClipFormat()));
    // The clipboard's copy shows transparent pixels as the button face.
    ASSERT_TRUE(::OpenClipboard(NULL));
    HBITMAP hClip = (HBITMAP)::GetClipboardData(CF_BITMAP);
    Bitmap* pClip = Bitmap::FromBitmap(hClip, FALSE);
    ::CloseClipboard();
    ASSERT_TRUE(pClip != NULL);
    EXPECT_EQ(GetXTPSysColor(COLOR_3DFACE), pClip->GetColor(0, 0));
    EXPECT_EQ(kRed, pClip->GetColor(2, 2));
    delete pClip;

    pCanvas->OnClear();
    pCanvas->OnPaste();
    EXPECT_EQ(drawn, Rows());
    EXPECT_EQ(4, pCanvas->GetUndoCount());

    // A clipboard without a bitmap changes nothing.
    ASSERT_TRUE(::OpenClipboard(NULL));
    ::EmptyClipboard();
    ::CloseClipboard();
    pCanvas->OnPaste();
    EXPECT_EQ(drawn, Rows());
    EXPECT_EQ(4, pCanvas->GetUndoCount());
}

TEST_F(CanvasTest, AlphaImagesKeepTheirChannelThroughDrawingAndCopy)
{
    // A 16 x 16 alpha image: left half half-transparent blue, right half clear.
    DWORD* pBits = NULL;
    HBITMAP hAlpha = CXTPImageManager::Create32BitDIBSection(NULL, 16, -16, (LPBYTE*)&pBits);
    ASSERT_TRUE(hAlpha != NULL);
    for (int i = 0; i < 256; i++)
        pBits[i] = (i % 16) < 8 ? 0x800000FF : 0x00123456;
    CXTPImageManagerIconHandle hIcon;
    hIcon.AttachBitmap(hAlpha);
    ASSERT_TRUE(pDlg->SetIcon(hIcon));
    Bitmap* pPicture = pCanvas->GetPicture();
    ASSERT_TRUE(pPicture != NULL && pPicture->m_bAlpha);
    EXPECT_EQ(0x800000FFu, pPicture->GetPixel(0, 0));
    EXPECT_EQ(kTransparent, pPicture->GetColor(12, 0)) << "alpha 0 becomes the transparent colour";

    Tool(xtpToolPencil);
    Colour(kRed);
    Stroke(12, 1, 12, 1);
    EXPECT_EQ(0xFFFF0000u, pCanvas->GetPicture()->GetPixel(12, 1)) << "a drawn pixel is opaque";
    EXPECT_EQ(0x800000FFu, pCanvas->GetPicture()->GetPixel(0, 1)) << "the others keep their alpha";
    Stroke(12, 1, 12, 1);
    EXPECT_EQ(0u, pCanvas->GetPicture()->GetPixel(12, 1) >> 24) << "erased pixels are clear";

    pCanvas->OnCopy();
    EXPECT_TRUE(::IsClipboardFormatAvailable(CXTPImageManager::GetAlphaBitmapClipFormat()));

    CXTPImageManagerIconHandle hResult;
    pDlg->GetIcon(&hResult);
    ASSERT_TRUE(hResult.IsAlpha());
    EXPECT_EQ(CSize(16, 16), hResult.GetExtent());
}

TEST_F(CanvasTest, AnImageWithoutAlphaComesBackAsAMaskedIcon)
{
    CXTPImageManagerIconHandle hEmpty;
    pDlg->GetIcon(&hEmpty);
    EXPECT_TRUE(hEmpty.IsEmpty()) << "no image gives nothing";

    Tool(xtpToolPencil);
    Colour(kRed);
    Stroke(1, 1, 1, 1);
    CXTPImageManagerIconHandle hIcon;
    pDlg->GetIcon(&hIcon);
    ASSERT_FALSE(hIcon.IsEmpty());
    EXPECT_FALSE(hIcon.IsAlpha());
    ICONINFO ii;
    ASSERT_TRUE(::GetIconInfo(hIcon.GetIcon(), &ii));
    CDC dc;
    dc.CreateCompatibleDC(NULL);
    HGDIOBJ hOld = ::SelectObject(dc.GetSafeHdc(), ii.hbmMask);
    EXPECT_EQ(RGB(255, 255, 255), dc.GetPixel(0, 0)) << "transparent in the mask";
    EXPECT_EQ(RGB(0, 0, 0), dc.GetPixel(1, 1));
    ::SelectObject(dc.GetSafeHdc(), hOld);
    ::DeleteObject(ii.hbmMask);
    ::DeleteObject(ii.hbmColor);
    EXPECT_EQ(kRed, At(1, 1)) << "the canvas keeps its image";

    // The icon goes back into a new editor unchanged.
    Close();
    Open(CSize(0, 0));
    ASSERT_TRUE(pDlg->SetIcon(hIcon));
    EXPECT_EQ(kRed, At(1, 1));
    EXPECT_EQ(kTransparent, At(0, 0));
}

TEST_F(CanvasTest, ImportReadsGoodFilesAndRefusesDamagedOnes)
{
    testsupport::CTempFolder folder;
    Tool(xtpToolPencil);
    Colour(kBlack);
    Stroke(0, 0, 0, 0);
    const std::vector<std::string> before = Rows();

    std::vector<BYTE> bmp = MakeBmp(20, 20, kRed);
    std::vector<BYTE> cut(bmp.begin(), bmp.begin() + 60);
    std::vector<BYTE> lying = bmp;
    lying[18] = 0xFF;   // a width far beyond the data
    lying[19] = 0x7F;
    std::vector<BYTE> icon = MakeAlphaIcon(16, kRed);
    std::vector<BYTE> badIcon = icon;
    badIcon[6 + 12] = 0xF0;   // the image's offset points past the end
    std::vector<BYTE> garbage(300, 0x5A);
    garbage[0] = 'G';
    garbage[1] = 'I';
    garbage[2] = 'F';

    const char* const kDamaged[][2] = {{"cut.bmp", "bmp"}, {"lying.bmp", "lying"}, {"bad.ico", "ico"},
                                       {"noise.gif", "gif"}, {"noise.jpg", "jpg"}, {"empty.png", "png"}};
    for (const auto& entry : kDamaged)
    {
        std::string strType = entry[1];
        const std::vector<BYTE>& data = strType == "bmp"     ? cut
                                        : strType == "lying" ? lying
                                        : strType == "ico"   ? badIcon
                                        : strType == "png"   ? std::vector<BYTE>()
                                                             : garbage;
        std::string strPath = WriteFile(folder, entry[0], data);
        EXPECT_FALSE(pCanvas->ImportFile(strPath.c_str())) << entry[0];
        EXPECT_EQ(before, Rows()) << entry[0];
        EXPECT_EQ(1, pCanvas->GetUndoCount()) << entry[0];
    }
    EXPECT_EQ(CXTPImageEditorPicture::importBadPicture, pCanvas->GetImportFailure());
    EXPECT_FALSE(pCanvas->ImportFile(folder.Path("missing.bmp").c_str()));
    EXPECT_EQ(CXTPImageEditorPicture::importNotOpened, pCanvas->GetImportFailure());

    // A good bitmap is cut to the image size.
    ASSERT_TRUE(pCanvas->ImportFile(WriteFile(folder, "red.bmp", bmp).c_str()));
    EXPECT_EQ(std::string(16, 'r'), Rows()[15]);
    EXPECT_FALSE(pCanvas->GetPicture()->m_bAlpha);
    EXPECT_EQ(2, pCanvas->GetUndoCount());

    // A 32-bit icon keeps its alpha.
    ASSERT_TRUE(pCanvas->ImportFile(WriteFile(folder, "half.ico", icon).c_str()));
    ASSERT_TRUE(pCanvas->GetPicture()->m_bAlpha);
    EXPECT_EQ(0xFFFF0000u, pCanvas->GetPicture()->GetPixel(0, 0));
    EXPECT_EQ(kTransparent, At(12, 0));
    EXPECT_EQ(3, pCanvas->GetUndoCount());

    // A file named for another kind is read by what it holds, from the
    // bytes read once: a bitmap named .jpg, an icon named .gif; the damaged
    // bitmap is refused under any name.
    EXPECT_FALSE(pCanvas->ImportFile(WriteFile(folder, "lying.jpg", lying).c_str()));
    EXPECT_EQ(3, pCanvas->GetUndoCount());
    ASSERT_TRUE(pCanvas->ImportFile(WriteFile(folder, "red.jpg", bmp).c_str()));
    EXPECT_EQ(std::string(16, 'r'), Rows()[15]);
    EXPECT_FALSE(pCanvas->GetPicture()->m_bAlpha);
    ASSERT_TRUE(pCanvas->ImportFile(WriteFile(folder, "half.gif", icon).c_str()));
    ASSERT_TRUE(pCanvas->GetPicture()->m_bAlpha);
    EXPECT_EQ(kTransparent, At(12, 0));
    EXPECT_EQ(5, pCanvas->GetUndoCount());
}

TEST_F(CanvasTest, CursorFilesAreReadAsIconsAndDamagedOnesReachNoSystemLoader)
{
    testsupport::CTempFolder folder;
    Tool(xtpToolPencil);
    Colour(kBlack);
    Stroke(0, 0, 0, 0);
    const std::vector<std::string> before = Rows();

    // The damaged bytes under every name that reaches a loader: each is
    // refused and the image stays as it was.
    const std::vector<BYTE> damaged = testsupport::DamagedCursorBytes();
    ASSERT_EQ(339u, damaged.size());
    std::vector<BYTE> lyingEntry = testsupport::MakeFourBitIcon(2, 16);
    lyingEntry[6 + 8] = 0xFF;   // the image claims more bytes than the file has
    std::vector<BYTE> hugeImage = testsupport::MakeFourBitIcon(2, 16);
    hugeImage[26 + 1] = 0x40;   // a width of 16,400 in the image header
    std::vector<BYTE> cutMask = testsupport::MakeFourBitIcon(1, 16);
    cutMask.resize(cutMask.size() - 10);
    cutMask[6 + 8] -= 10;
    std::vector<BYTE> emptyDir = testsupport::MakeFourBitIcon(1, 16);
    emptyDir[4] = 0;
    const struct
    {
        const char* pszName;
        const std::vector<BYTE>* pData;
    } kRefused[] = {{"damaged.cur", &damaged},       {"damaged.ico", &damaged},      {"damaged.gif", &damaged},
                    {"damaged.wmf", &damaged},       {"damaged", &damaged},          {"lying.cur", &lyingEntry},
                    {"huge.cur", &hugeImage},         {"cutmask.ico", &cutMask},      {"empty.ico", &emptyDir},
                    {"lying.jpg", &lyingEntry}};
    for (const auto& entry : kRefused)
    {
        EXPECT_FALSE(pCanvas->ImportFile(WriteFile(folder, entry.pszName, *entry.pData).c_str())) << entry.pszName;
        EXPECT_EQ(before, Rows()) << entry.pszName;
        EXPECT_EQ(1, pCanvas->GetUndoCount()) << entry.pszName;
    }

    // Sound 4-bit files: the mask gives the transparent half.
    const std::string strLeftRed = std::string(8, 'r') + std::string(8, '.');
    ASSERT_TRUE(pCanvas->ImportFile(WriteFile(folder, "sound.cur", testsupport::MakeFourBitIcon(2, 16)).c_str()));
    EXPECT_FALSE(pCanvas->GetPicture()->m_bAlpha);
    EXPECT_EQ(strLeftRed, Rows()[0]);
    EXPECT_EQ(strLeftRed, Rows()[15]);
    EXPECT_EQ(2, pCanvas->GetUndoCount());
    pCanvas->OnClear();
    ASSERT_TRUE(pCanvas->ImportFile(WriteFile(folder, "sound.ico", testsupport::MakeFourBitIcon(1, 16)).c_str()));
    EXPECT_EQ(strLeftRed, Rows()[7]);
    // A cursor under another name goes by what it holds.
    pCanvas->OnClear();
    ASSERT_TRUE(pCanvas->ImportFile(WriteFile(folder, "cursor.gif", testsupport::MakeFourBitIcon(2, 16)).c_str()));
    EXPECT_EQ(strLeftRed, Rows()[3]);

    // A 32-bit cursor keeps its alpha like a 32-bit icon.
    std::vector<BYTE> alphaCursor = MakeAlphaIcon(16, kRed);
    alphaCursor[2] = 2;
    pCanvas->OnClear();
    ASSERT_TRUE(pCanvas->ImportFile(WriteFile(folder, "alpha.cur", alphaCursor).c_str()));
    ASSERT_TRUE(pCanvas->GetPicture()->m_bAlpha);
    EXPECT_EQ(0xFFFF0000u, pCanvas->GetPicture()->GetPixel(0, 0));
    EXPECT_EQ(kTransparent, At(12, 0));
}

TEST_F(CanvasTest, MetafilesAreDrawnOnlyWithAllTheirRecordsInside)
{
    testsupport::CTempFolder folder;
    // A red square over the whole frame, recorded as an enhanced metafile.
    CDC* pRef = CDC::FromHandle(::GetDC(NULL));
    HDC hMeta = ::CreateEnhMetaFileA(pRef->GetSafeHdc(), NULL, NULL, NULL);
    ::ReleaseDC(NULL, pRef->GetSafeHdc());
    ASSERT_TRUE(hMeta != NULL);
    HBRUSH hRed = ::CreateSolidBrush(kRed);
    RECT rc = {0, 0, 32, 32};
    ::FillRect(hMeta, &rc, hRed);
    ::DeleteObject(hRed);
    HENHMETAFILE hEmf = ::CloseEnhMetaFile(hMeta);
    ASSERT_TRUE(hEmf != NULL);
    std::vector<BYTE> emf(::GetEnhMetaFileBits(hEmf, 0, NULL));
    ASSERT_FALSE(emf.empty());
    ::GetEnhMetaFileBits(hEmf, (UINT)emf.size(), emf.data());
    ::DeleteEnhMetaFile(hEmf);

    // A record whose size runs past the end, and a file cut before its end
    // record, are refused before the loader sees them.
    std::vector<BYTE> lying = emf;
    const DWORD nHeader = *(const DWORD*)&emf[4];
    *(DWORD*)&lying[nHeader + 4] = 0x7FFFFFF0;
    std::vector<BYTE> cut(emf.begin(), emf.end() - 20);
    EXPECT_FALSE(pCanvas->ImportFile(WriteFile(folder, "lying.emf", lying).c_str()));
    EXPECT_FALSE(pCanvas->ImportFile(WriteFile(folder, "cut.emf", cut).c_str()));
    EXPECT_TRUE(pCanvas->GetPicture() == NULL);
    EXPECT_EQ(0, pCanvas->GetUndoCount());

    // The sound one is drawn at the image size, under any name.
    ASSERT_TRUE(pCanvas->ImportFile(WriteFile(folder, "red.emf", emf).c_str()));
    EXPECT_EQ(1, pCanvas->GetUndoCount());
    EXPECT_EQ(std::vector<std::string>(16, std::string(16, 'r')), Rows());
    EXPECT_FALSE(pCanvas->GetPicture()->m_bAlpha);
    pCanvas->OnClear();
    ASSERT_TRUE(pCanvas->ImportFile(WriteFile(folder, "red.gif", emf).c_str()));
    EXPECT_EQ(kRed, At(15, 15));

    // A placeable metafile: its frame fills the image, whatever its units.
    HDC hWmfDC = ::CreateMetaFileA(NULL);
    ASSERT_TRUE(hWmfDC != NULL);
    ::SetWindowOrgEx(hWmfDC, 0, 0, NULL);
    ::SetWindowExtEx(hWmfDC, 100, 100, NULL);
    HBRUSH hBlack = ::CreateSolidBrush(kBlack);
    RECT rcLeft = {0, 0, 50, 100};
    ::FillRect(hWmfDC, &rcLeft, hBlack);
    ::DeleteObject(hBlack);
    HMETAFILE hWmf = ::CloseMetaFile(hWmfDC);
    std::vector<BYTE> wmf(22 + ::GetMetaFileBitsEx(hWmf, 0, NULL), 0);
    ::GetMetaFileBitsEx(hWmf, (UINT)wmf.size() - 22, &wmf[22]);
    ::DeleteMetaFile(hWmf);
    const WORD placeable[10] = {0xCDD7, 0x9AC6, 0, 0, 0, 100, 100, 1440, 0, 0};
    memcpy(wmf.data(), placeable, sizeof(placeable));
    ASSERT_TRUE(pCanvas->ImportFile(WriteFile(folder, "left.wmf", wmf).c_str()));
    EXPECT_EQ(std::string(8, 'k') + std::string(8, '.'), Rows()[5]);
    // Without the placeable header the metafile has no size: refused.
    const std::vector<BYTE> plain(wmf.begin() + 22, wmf.end());
    const int nUndo = pCanvas->GetUndoCount();
    EXPECT_FALSE(pCanvas->ImportFile(WriteFile(folder, "plain.wmf", plain).c_str()));
    EXPECT_EQ(nUndo, pCanvas->GetUndoCount());
}

TEST_F(CanvasTest, DamagedMetafilesAreRefusedQuicklyAndKeepTheImage)
{
    testsupport::CTempFolder folder;
    Tool(xtpToolPencil);
    Colour(kBlack);
    Stroke(3, 3, 3, 3);
    const std::vector<std::string> before = Rows();

    const char* const kFiles[] = {"damaged-emf-polyline-count.emf",       "damaged-emf-polyline-count-named.gif",
                                  "damaged-emf-stretchdibits-offset.emf", "damaged-wmf-polygon-count.wmf",
                                  "damaged-wmf-selectobject-index.wmf",   "damaged-emf-slow.emf",
                                  "damaged-emf-huge-allocation.emf"};
    const SIZE_T nPeakBefore = testsupport::PeakProcessMemory();
    ASSERT_NE(0u, nPeakBefore);
    for (const char* pszFile : kFiles)
    {
        const std::vector<BYTE> data = testsupport::ReadDataFile(pszFile);
        ASSERT_FALSE(data.empty()) << testsupport::DataFilePath(pszFile);
        // The kept file as it is, and the same bytes under the other names
        // a metafile reaches the reader by.
        const std::string strName(pszFile);
        const std::string kNames[] = {strName, "renamed.emf", "renamed.wmf", "renamed.jpg", "renamed"};
        for (const std::string& strAs : kNames)
        {
            const DWORD dwStart = ::GetTickCount();
            EXPECT_FALSE(pCanvas->ImportFile(WriteFile(folder, strAs.c_str(), data).c_str()))
                << pszFile << " as " << strAs;
            // Far below the seconds the damaged files took; loose enough
            // for a busy machine.
            EXPECT_LT(::GetTickCount() - dwStart, 5000u) << pszFile << " as " << strAs;
            EXPECT_EQ(before, Rows()) << pszFile << " as " << strAs;
            EXPECT_EQ(1, pCanvas->GetUndoCount()) << pszFile << " as " << strAs;
        }
    }
    const SIZE_T nPeakAfter = testsupport::PeakProcessMemory();
    EXPECT_LT(nPeakAfter > nPeakBefore ? nPeakAfter - nPeakBefore : 0, (SIZE_T)100 * 1024 * 1024);
}

// The crafted metafiles that crashed or froze the import: each is drawn or
// refused within two seconds while the editor answers its messages, and a
// refusal leaves the image and its history as they were.
TEST_F(CanvasTest, CraftedMetafilesAreDrawnOrRefusedWithinTwoSecondsWhileTheEditorAnswers)
{
    Tool(xtpToolPencil);
    Colour(kBlack);
    Stroke(3, 3, 3, 3);
    int nDrawn = 0;
    for (const char* pszFile : testsupport::kCraftedMetafiles)
    {
        SCOPED_TRACE(pszFile);
        const std::string strPath = testsupport::DataFilePath((std::string("crafted-metafiles/") + pszFile).c_str());
        const std::vector<std::string> before = Rows();
        const int nUndo = pCanvas->GetUndoCount();
        testsupport::CAnswerWatch watch(pDlg->m_hWnd);
        const DWORD dwStart = ::GetTickCount();
        const BOOL bImported = pCanvas->ImportFile(strPath.c_str());
        const DWORD dwTook = ::GetTickCount() - dwStart;
        watch.Stop();
        EXPECT_LE(dwTook, 2000u);
        EXPECT_EQ(0, watch.Unanswered());
        EXPECT_LT(watch.LongestWait(), 500u) << "the editor answers while the picture is drawn";
        if (bImported)
        {
            nDrawn++;
            EXPECT_EQ(std::min(nUndo + 1, 16), pCanvas->GetUndoCount());
            // Back to the image with the dot for the next file.
            pCanvas->OnUndo();
        }
        else
        {
            EXPECT_EQ(before, Rows()) << "a refusal keeps the image";
            EXPECT_EQ(nUndo, pCanvas->GetUndoCount()) << "and its history";
        }
    }
    // Those the checks and the renderer let through are drawn: the frame,
    // the pens and the text.
    EXPECT_GT(nDrawn, 0);
}

namespace
{
// A one-bit BMP file, top-down, with a coloured two-entry palette: a
// repeating pattern of bytes on every row.
std::vector<BYTE> MakeOneBitBmp(int cx, int cy)
{
    const size_t nStride = (size_t)((cx + 31) / 32) * 4;
    const DWORD nOffset = 14 + 40 + 8;
    std::vector<BYTE> out(nOffset + nStride * (size_t)cy, 0);
    auto Put16 = [&](size_t at, WORD v) { memcpy(&out[at], &v, 2); };
    auto Put32 = [&](size_t at, DWORD v) { memcpy(&out[at], &v, 4); };
    out[0] = 'B';
    out[1] = 'M';
    Put32(2, (DWORD)out.size());
    Put32(10, nOffset);
    Put32(14, 40);
    Put32(18, (DWORD)cx);
    Put32(22, (DWORD)-cy);
    Put16(26, 1);
    Put16(28, 1);
    const BYTE palette[8] = {0, 255, 60, 0, 37, 244, 65, 0};
    memcpy(&out[54], palette, sizeof(palette));
    for (size_t x = 0; x < nStride; x++)
        out[nOffset + x] = (BYTE)((x * 13 + 7) & 0xFF);
    for (int y = 1; y < cy; y++)
        memcpy(&out[nOffset + (size_t)y * nStride], &out[nOffset], nStride);
    return out;
}
} // namespace

TEST_F(CanvasTest, AHugePictureFileIsRefusedBeforeAnyBitmapOfItIsMade)
{
    testsupport::CTempFolder folder;
    Tool(xtpToolPencil);
    Colour(kBlack);
    Stroke(3, 3, 3, 3);
    const std::vector<std::string> before = Rows();

    // 16,384 x 8,000 pixels in 16 MB: a bitmap of it would take 512 MB.
    std::string strBmp, strGif;
    {
        const std::vector<BYTE> huge = MakeOneBitBmp(16384, 8000);
        ASSERT_EQ(16384062u, huge.size());
        strBmp = WriteFile(folder, "big-1bit.bmp", huge);
        strGif = WriteFile(folder, "big-1bit.gif", huge);
    }
    const SIZE_T nPeakBefore = testsupport::PeakProcessMemory();
    ASSERT_NE(0u, nPeakBefore);
    EXPECT_FALSE(pCanvas->ImportFile(strBmp.c_str()));
    EXPECT_FALSE(pCanvas->ImportFile(strGif.c_str()));
    const SIZE_T nPeakAfter = testsupport::PeakProcessMemory();
    // The file is read whole (16 MB); nothing near a full-size bitmap.
    EXPECT_LT(nPeakAfter > nPeakBefore ? nPeakAfter - nPeakBefore : 0, (SIZE_T)100 * 1024 * 1024);
    EXPECT_EQ(before, Rows());
    EXPECT_EQ(1, pCanvas->GetUndoCount());

    // A large picture within the bound gives its top-left corner.
    ASSERT_TRUE(pCanvas->ImportFile(WriteFile(folder, "wide.bmp", MakeOneBitBmp(2048, 2048)).c_str()));
    EXPECT_EQ(2, pCanvas->GetUndoCount());
    // The first byte 7 = 00000111: five pixels of the first colour, then three of the second.
    const COLORREF clrFirst = RGB(60, 255, 0), clrSecond = RGB(65, 244, 37);
    EXPECT_EQ(clrFirst, At(0, 0));
    EXPECT_EQ(clrFirst, At(4, 9));
    EXPECT_EQ(clrSecond, At(5, 0));
    EXPECT_EQ(clrSecond, At(7, 15));
}

TEST_F(CanvasTest, NoGdiObjectIsLeftBehind)
{
    auto Work = [this]() {
        Tool(xtpToolPencil);
        Colour(kRed);
        for (int i = 0; i < 20; i++)
            Stroke(i % 16, 3, (i + 2) % 16, 4);
        Tool(xtpToolRectangle);
        Stroke(1, 1, 9, 9);
        Tool(xtpToolCircle);
        Stroke(1, 1, 9, 9);
        Tool(xtpToolLine);
        Stroke(0, 15, 15, 0);
        Tool(xtpToolFill);
        Stroke(5, 5, 5, 5);
        pCanvas->OnClear();
        Tool(xtpToolPencil);
        Stroke(2, 2, 2, 2);
        pCanvas->OnCopy();
        pCanvas->OnPaste();
        pCanvas->MovePicture(1, 1);
        for (int i = 0; i < 8; i++)
            pCanvas->OnUndo();
        for (int i = 0; i < 4; i++)
            pCanvas->OnRedo();
        Stroke(3, 3, 3, 3);
        pDlg->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    };
    // A first round and a first editor make what is made once.
    Work();
    Close();
    Open(CSize(16, 16));
    Work();
    Close();
    const DWORD dwBefore = testsupport::GdiHighWater();
    for (int nRound = 0; nRound < 3; nRound++)
    {
        Open(CSize(16, 16));
        Work();
        Close();
    }
    // One slot of slack for the bitmap the clipboard holds.
    EXPECT_LE(testsupport::GdiHighWater(), dwBefore + 1) << "the images of the history are all freed";
}

namespace
{
std::vector<std::string>& ImportMessages()
{
    static std::vector<std::string> s_texts;
    return s_texts;
}
// Keys waiting in the queue when a message showed.
int& KeysWaitingAtAMessage()
{
    static int s_nKeys = 0;
    return s_nKeys;
}
int AFXAPI RecordMessage(LPCTSTR lpszText, UINT, UINT)
{
    ImportMessages().push_back(lpszText);
    MSG msg;
    while (::PeekMessage(&msg, NULL, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE))
        KeysWaitingAtAMessage()++;
    return IDOK;
}
} // namespace

TEST_F(CanvasTest, ImportingADamagedFileSaysSoAndChangesNothing)
{
    testsupport::CTempFolder folder;
    std::vector<BYTE> garbage(200, 0x33);
    for (const std::string& strPath :
         {WriteFile(folder, "broken.bmp", garbage),
          WriteFile(folder, "damaged.emf", testsupport::ReadDataFile("damaged-emf-stretchdibits-offset.emf"))})
    {
        SCOPED_TRACE(strPath);
        ImportDamagedThroughTheDialog(strPath);
    }
}

void CanvasTest::ImportDamagedThroughTheDialog(const std::string& strPath)
{
    ImportMessages().clear();
    KeysWaitingAtAMessage() = 0;
    AFX_MSGBOX_HOOK pfnOld = AfxSetMessageBoxHook(&RecordMessage);
    // The file dialog gets the file's name and OK; Enter, typed while the
    // picture is read, waits in the queue and must not reach the message.
    testsupport::ModalDriver driver(
        [&](HWND hDlg) {
            ::SetDlgItemTextA(hDlg, 1148, strPath.c_str());
            ::SetDlgItemTextA(hDlg, 1152, strPath.c_str());
            testsupport::ModalDriver::Press(hDlg, IDOK);
            ::PostMessage(pDlg->m_hWnd, WM_KEYDOWN, VK_RETURN, 0x001C0001);
            ::PostMessage(pDlg->m_hWnd, WM_CHAR, VK_RETURN, 0x001C0001);
        },
        pDlg->m_hWnd);
    pCanvas->OnImport();
    AfxSetMessageBoxHook(pfnOld);
    EXPECT_TRUE(driver.HasRun());
    CString strExpected;
    XTPResourceManager()->LoadString(&strExpected, XTP_IDS_IMAGEEDITOR_BADPICTURE);
    ASSERT_EQ(1u, ImportMessages().size());
    EXPECT_EQ(std::string((LPCTSTR)strExpected), ImportMessages()[0]);
    EXPECT_EQ(0, KeysWaitingAtAMessage()) << "no key typed before the message can close it";
    EXPECT_TRUE(pCanvas->GetPicture() == NULL);
    EXPECT_EQ(0, pCanvas->GetUndoCount());
}
