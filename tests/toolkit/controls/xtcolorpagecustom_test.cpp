// The custom colour page: its fields, the spectrum and the luminance bar
// keeping each other and the dialog up to date, refused values, and the
// keys of the picker that has the focus.
// ctest: run-serial
#include "support/colorpickers.h"
#include "support/themedcontrols.h"

#include "XTColorDialog.h"
#include "XTColorRef.h"
#include "controls_res.h"

#include <memory>
#include <string>

using testsupport::Boxes;
using testsupport::Canvas;

namespace
{
::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new testsupport::Environment);

class CustomPageTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_dlg.reset(new CXTColorDialog(RGB(0, 0, 0), RGB(0, 0, 0), CPS_XT_SHOW3DSELECTION));
        ASSERT_TRUE(m_dlg->Create(NULL));
        m_dlg->ShowWindow(SW_SHOWNA);
        ASSERT_TRUE(m_dlg->SetActivePage(1));
        testsupport::PumpPending();
        m_pPage = m_dlg->GetCustomPage();
        ASSERT_TRUE(m_pPage->m_hWnd != NULL);
        m_pPage->m_colorWnd.GetClientRect(&m_rcSpectrum);
        Boxes().texts.clear();
    }
    void TearDown() override { m_dlg.reset(); }

    // Types a whole value into a field (one EN_CHANGE).
    void Type(int nID, const char* pszText) { ::SetWindowTextA(::GetDlgItem(m_pPage->m_hWnd, nID), pszText); }
    CString Field(int nID)
    {
        char sz[32] = "";
        ::GetWindowTextA(::GetDlgItem(m_pPage->m_hWnd, nID), sz, sizeof(sz));
        return sz;
    }
    void Key(CWnd& wnd, UINT nKey)
    {
        MSG msg = {wnd.m_hWnd, WM_KEYDOWN, nKey, 1};
        if (!wnd.PreTranslateMessage(&msg))
            wnd.SendMessage(WM_KEYDOWN, nKey, 1);
    }

    std::unique_ptr<CXTColorDialog> m_dlg;
    CXTColorPageCustom* m_pPage = NULL;
    CRect m_rcSpectrum;
};
} // namespace

TEST_F(CustomPageTest, TypingPureRedMovesTheMarkerToTheTopLeftAndShowsItsHSL)
{
    Type(XT_IDC_EDIT_RED, "255");
    Type(XT_IDC_EDIT_GREEN, "0");
    Type(XT_IDC_EDIT_BLUE, "0");
    EXPECT_STREQ("0", Field(XT_IDC_EDIT_HUE));
    EXPECT_STREQ("255", Field(XT_IDC_EDIT_SAT));
    EXPECT_STREQ("127", Field(XT_IDC_EDIT_LUM));
    EXPECT_EQ(CPoint(0, 0), m_pPage->m_colorWnd.GetMarker());
    EXPECT_EQ(RGB(255, 0, 0), m_dlg->GetColor());
    EXPECT_EQ(RGB(255, 0, 0), m_pPage->m_colorWnd.GetColor());
    EXPECT_EQ(RGB(255, 0, 0), m_pPage->m_colorLum.GetColor());
    // The bar's arrow at luminance one half.
    const CRect rcBar = m_pPage->m_colorLum.GetBarRect();
    EXPECT_EQ(rcBar.Height() - rcBar.Height() / 2, m_pPage->m_colorLum.m_nArrowY);
    EXPECT_TRUE(Boxes().texts.empty());
}

TEST_F(CustomPageTest, AValueAbove255IsRefusedAndKeepsTheDialogOpen)
{
    Type(XT_IDC_EDIT_RED, "200");
    ASSERT_EQ(RGB(200, 0, 0), m_dlg->GetColor());
    Type(XT_IDC_EDIT_RED, "256");
    ASSERT_EQ(1u, Boxes().texts.size());
    EXPECT_EQ(RGB(200, 0, 0), m_dlg->GetColor());
    EXPECT_STREQ("256", Field(XT_IDC_EDIT_RED));   // left as typed, nothing rewrote it
    EXPECT_STREQ("0", Field(XT_IDC_EDIT_GREEN));

    // OK is refused while the field holds it.
    m_dlg->PressButton(PSBTN_OK);
    testsupport::PumpPending();
    EXPECT_TRUE(::IsWindow(m_dlg->m_hWnd));
    EXPECT_TRUE(::SendMessage(m_dlg->m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0) != 0);
    EXPECT_GE(Boxes().texts.size(), 2u);
}

TEST_F(CustomPageTest, EachFieldHoldsAtMostThreeCharactersWhetherPastedOrTyped)
{
    // 70,000 digits on the clipboard, as a user might paste by mistake.
    const std::string strDigits(70000, '1');
    ASSERT_TRUE(::OpenClipboard(m_pPage->m_hWnd));
    ASSERT_TRUE(::EmptyClipboard());
    HGLOBAL hText = ::GlobalAlloc(GMEM_MOVEABLE, strDigits.size() + 1);
    ASSERT_TRUE(hText != NULL);
    memcpy(::GlobalLock(hText), strDigits.c_str(), strDigits.size() + 1);
    ::GlobalUnlock(hText);
    ASSERT_TRUE(::SetClipboardData(CF_TEXT, hText) != NULL);
    ::CloseClipboard();

    const int ids[] = {XT_IDC_EDIT_HUE, XT_IDC_EDIT_SAT, XT_IDC_EDIT_LUM,
                       XT_IDC_EDIT_RED, XT_IDC_EDIT_GREEN, XT_IDC_EDIT_BLUE};
    for (int nID : ids)
    {
        HWND hEdit = ::GetDlgItem(m_pPage->m_hWnd, nID);
        ASSERT_TRUE(hEdit != NULL) << nID;
        EXPECT_EQ(3, (int)::SendMessage(hEdit, EM_GETLIMITTEXT, 0, 0)) << nID;

        // A paste over the whole text keeps three characters.
        ::SendMessage(hEdit, EM_SETSEL, 0, -1);
        ::SendMessage(hEdit, WM_PASTE, 0, 0);
        EXPECT_EQ(3, ::GetWindowTextLength(hEdit)) << nID;
        EXPECT_STREQ("111", Field(nID)) << nID;

        // Typing on at the end adds nothing.
        ::SendMessage(hEdit, EM_SETSEL, 3, 3);
        ::SendMessage(hEdit, WM_CHAR, '2', 1);
        ::SendMessage(hEdit, WM_CHAR, '5', 1);
        EXPECT_STREQ("111", Field(nID)) << nID;
    }
    // The pasted values were taken as values: the RGB fields read 111 each.
    EXPECT_EQ(RGB(111, 111, 111), m_dlg->GetColor());
    EXPECT_TRUE(Boxes().texts.empty()) << "a value of three digits is never refused for its length";

    // Editing within the limit still works: the last digit replaced.
    HWND hRed = ::GetDlgItem(m_pPage->m_hWnd, XT_IDC_EDIT_RED);
    ::SendMessage(hRed, EM_SETSEL, 2, 3);
    ::SendMessage(hRed, WM_CHAR, '9', 1);
    EXPECT_STREQ("119", Field(XT_IDC_EDIT_RED));
    EXPECT_EQ(RGB(119, 111, 111), m_dlg->GetColor());
}

TEST_F(CustomPageTest, AFailedReadChangesNothingAndTheFieldsDoNotPingPong)
{
    Type(XT_IDC_EDIT_GREEN, "128");
    ASSERT_EQ(RGB(0, 128, 0), m_dlg->GetColor());
    const CString strHue = Field(XT_IDC_EDIT_HUE);

    // An empty field: one message, and no field or colour changed by it.
    Type(XT_IDC_EDIT_BLUE, "");
    EXPECT_EQ(1u, Boxes().texts.size());
    EXPECT_STREQ("", Field(XT_IDC_EDIT_BLUE));
    EXPECT_STREQ("128", Field(XT_IDC_EDIT_GREEN));
    EXPECT_STREQ(strHue, Field(XT_IDC_EDIT_HUE));
    EXPECT_EQ(RGB(0, 128, 0), m_dlg->GetColor());

    // The page's own writes of the other fields do not run their handlers:
    // a typed hue stays as typed, and no message follows.
    Type(XT_IDC_EDIT_BLUE, "0");
    Boxes().texts.clear();
    Type(XT_IDC_EDIT_HUE, "100");
    EXPECT_STREQ("100", Field(XT_IDC_EDIT_HUE));
    EXPECT_TRUE(Boxes().texts.empty());
    EXPECT_FALSE(m_pPage->IsWritingFields());
    // The colour is the spectrum's at that hue.
    const COLORREF clr = m_pPage->m_colorWnd.GetColor();
    EXPECT_EQ(clr, m_dlg->GetColor());
    EXPECT_EQ(clr, RGB(m_pPage->m_nR, m_pPage->m_nG, m_pPage->m_nB));
    EXPECT_EQ((int)(m_rcSpectrum.Width() * 100 / 255.0), m_pPage->m_colorWnd.GetMarker().x);
}

TEST_F(CustomPageTest, AClickInTheSpectrumUpdatesTheBarTheFieldsAndTheSwatch)
{
    const CPoint pt(m_rcSpectrum.Width() / 2, m_rcSpectrum.Height() / 3);
    testsupport::SendClick(m_pPage->m_colorWnd, pt);
    // The spectrum's pixel: hue across, saturation up, luminance one half.
    const int w = m_rcSpectrum.Width(), h = m_rcSpectrum.Height();
    const COLORREF clr = HLStoRGB((double)pt.x / w, 0.5, (double)(h - 1 - pt.y) / h);
    EXPECT_EQ(clr, m_pPage->m_colorWnd.GetColor());
    EXPECT_EQ(pt, m_pPage->m_colorWnd.GetMarker());
    EXPECT_EQ(clr, m_dlg->GetColor());
    EXPECT_EQ(clr, RGB(m_pPage->m_nR, m_pPage->m_nG, m_pPage->m_nB));
    int l, s, hue;
    RGBtoHSL(clr, l, s, hue);
    EXPECT_EQ(hue, m_pPage->m_nH);
    EXPECT_EQ(s, m_pPage->m_nS);
    EXPECT_EQ(l, m_pPage->m_nL);
    EXPECT_EQ(::GetFocus(), m_pPage->m_colorWnd.m_hWnd);

    // The bar follows the colour's hue and saturation: black at the bottom,
    // white at the top, the colour itself near the middle.
    m_pPage->m_colorLum.UpdateWindow();
    CRect rcLum;
    m_pPage->m_colorLum.GetClientRect(&rcLum);
    Canvas canvas(rcLum.Width(), rcLum.Height());
    m_pPage->m_colorLum.DrawPicture(canvas.DC());
    const CRect rcBar = m_pPage->m_colorLum.GetBarRect();
    EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(5, rcBar.top));
    EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(5, rcBar.bottom - 1));
    EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(5, rcBar.bottom - 3));
    const COLORREF clrMiddle = canvas.Pixel(5, rcBar.top + m_pPage->m_colorLum.m_nArrowY);
    EXPECT_LE(abs(GetRValue(clrMiddle) - GetRValue(clr)) + abs(GetGValue(clrMiddle) - GetGValue(clr)) +
                  abs(GetBValue(clrMiddle) - GetBValue(clr)),
              12);

    // A drag beyond the window keeps the marker on its edge.
    m_pPage->m_colorWnd.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    m_pPage->m_colorWnd.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(w + 40, 5));
    m_pPage->m_colorWnd.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(w + 40, 5));
    EXPECT_EQ(CPoint(w - 1, 5), m_pPage->m_colorWnd.GetMarker());
}

TEST_F(CustomPageTest, ArrowKeysMoveOnlyThePickerThatHasTheFocus)
{
    Type(XT_IDC_EDIT_RED, "255");
    CXTColorWnd& wnd = m_pPage->m_colorWnd;
    CXTColorLum& lum = m_pPage->m_colorLum;
    wnd.SetFocus();
    EXPECT_EQ((int)CXTColorBase::focusSpectrum, CXTColorBase::s_nFocus);
    const CPoint ptWnd = wnd.GetMarker();
    Key(wnd, VK_RIGHT);
    Key(wnd, VK_DOWN);
    EXPECT_EQ(CPoint(ptWnd.x + 1, ptWnd.y + 1), wnd.GetMarker());
    EXPECT_EQ(wnd.GetColor(), m_dlg->GetColor());
    const int nArrow = lum.m_nArrowY;
    Key(lum, VK_UP);   // not focused: nothing
    EXPECT_EQ(nArrow, lum.m_nArrowY);
    Key(wnd, VK_LEFT);
    Key(wnd, VK_LEFT);
    Key(wnd, VK_LEFT);
    EXPECT_EQ(0, wnd.GetMarker().x);   // clamped at the left

    lum.SetFocus();
    EXPECT_EQ((int)CXTColorBase::focusLuminance, CXTColorBase::s_nFocus);
    const CPoint ptNow = wnd.GetMarker();
    const int nBefore = lum.m_nArrowY;
    Key(lum, VK_UP);
    EXPECT_EQ(nBefore - 1, lum.m_nArrowY);
    EXPECT_EQ(lum.GetColor(), m_dlg->GetColor());
    Key(wnd, VK_RIGHT);   // the spectrum no longer has the focus
    EXPECT_EQ(ptNow, wnd.GetMarker());
    for (int i = 0; i < 500; i++)
        Key(lum, VK_DOWN);
    EXPECT_EQ(lum.GetBarRect().Height() - 1, lum.m_nArrowY);   // clamped at the bottom
    EXPECT_EQ(RGB(0, 0, 0), m_dlg->GetColor());
    m_pPage->m_editRed.SetFocus();
    EXPECT_EQ((int)CXTColorBase::focusNone, CXTColorBase::s_nFocus);
}

TEST_F(CustomPageTest, TheLuminanceAndSaturationFieldsMoveTheirPickers)
{
    Type(XT_IDC_EDIT_RED, "255");
    const CRect rcBar = m_pPage->m_colorLum.GetBarRect();
    Type(XT_IDC_EDIT_LUM, "200");
    const int y = rcBar.bottom - (int)(rcBar.Height() * (200 / 255.0)) - rcBar.top;
    EXPECT_EQ(y, m_pPage->m_colorLum.m_nArrowY);
    const COLORREF clr = m_pPage->m_colorLum.GetColor();
    EXPECT_EQ(clr, m_dlg->GetColor());
    EXPECT_EQ(255, GetRValue(clr));
    EXPECT_GT(GetGValue(clr), 100);   // a light red
    EXPECT_EQ(GetGValue(clr), GetBValue(clr));
    EXPECT_STREQ("200", Field(XT_IDC_EDIT_LUM));

    Type(XT_IDC_EDIT_SAT, "0");
    EXPECT_EQ(m_rcSpectrum.Height() - 1, m_pPage->m_colorWnd.GetMarker().y) << "the picture's bottom row";
    Type(XT_IDC_EDIT_SAT, "128");
    EXPECT_EQ(m_rcSpectrum.Height() - (int)(m_rcSpectrum.Height() * (128 / 255.0)),
              m_pPage->m_colorWnd.GetMarker().y);
    EXPECT_EQ(m_pPage->m_colorWnd.GetColor(), m_dlg->GetColor());
}

// The ends of the fields' range point at the picture's last row or column,
// so they pick a colour like every other value (one pixel further there is
// no picture and the colour would stay as it was).
TEST_F(CustomPageTest, TheEndsOfEachFieldsRangePickTheirColour)
{
    const int w = m_rcSpectrum.Width(), h = m_rcSpectrum.Height();
    Type(XT_IDC_EDIT_GREEN, "255");
    ASSERT_EQ(RGB(0, 255, 0), m_dlg->GetColor());

    // Hue 255: the spectrum's right-most column, a red again.
    Type(XT_IDC_EDIT_HUE, "255");
    EXPECT_EQ(w - 1, m_pPage->m_colorWnd.GetMarker().x);
    COLORREF clr = m_dlg->GetColor();
    EXPECT_EQ(HLStoRGB((double)(w - 1) / w, 0.5, (double)(h - 1) / h), clr);
    EXPECT_GE(GetRValue(clr), 250);
    EXPECT_LE(GetGValue(clr), 5);
    EXPECT_EQ(clr, RGB(m_pPage->m_nR, m_pPage->m_nG, m_pPage->m_nB));

    // Saturation 0: the bottom row, a grey.
    Type(XT_IDC_EDIT_SAT, "0");
    EXPECT_EQ(h - 1, m_pPage->m_colorWnd.GetMarker().y);
    clr = m_dlg->GetColor();
    EXPECT_EQ(GetRValue(clr), GetGValue(clr));
    EXPECT_EQ(GetGValue(clr), GetBValue(clr));
    EXPECT_EQ(clr, m_pPage->m_colorWnd.GetColor());
    EXPECT_STREQ("0", Field(XT_IDC_EDIT_SAT));

    // Luminance 0 and 255: black at the bar's bottom row, white at its top.
    Type(XT_IDC_EDIT_RED, "255");
    Type(XT_IDC_EDIT_GREEN, "0");
    Type(XT_IDC_EDIT_BLUE, "0");
    const CRect rcBar = m_pPage->m_colorLum.GetBarRect();
    Type(XT_IDC_EDIT_LUM, "0");
    EXPECT_EQ(rcBar.Height() - 1, m_pPage->m_colorLum.m_nArrowY);
    EXPECT_EQ(RGB(0, 0, 0), m_dlg->GetColor());
    EXPECT_STREQ("0", Field(XT_IDC_EDIT_RED));
    Type(XT_IDC_EDIT_LUM, "255");
    EXPECT_EQ(0, m_pPage->m_colorLum.m_nArrowY);
    EXPECT_EQ(RGB(255, 255, 255), m_dlg->GetColor());

    // A grey or black set from outside keeps the markers on the pictures.
    m_pPage->m_colorWnd.SetColor(RGB(0, 0, 0), TRUE);
    m_pPage->m_colorLum.SetColor(RGB(0, 0, 0), TRUE);
    EXPECT_EQ(CPoint(0, h - 1), m_pPage->m_colorWnd.GetMarker());
    EXPECT_EQ(rcBar.Height() - 1, m_pPage->m_colorLum.m_nArrowY);

    // The arrow keys stop on the last column and row too.
    m_pPage->m_colorWnd.SetFocus();
    for (int i = 0; i < w + 5; i++)
        Key(m_pPage->m_colorWnd, VK_RIGHT);
    Key(m_pPage->m_colorWnd, VK_DOWN);
    EXPECT_EQ(CPoint(w - 1, h - 1), m_pPage->m_colorWnd.GetMarker());
    EXPECT_EQ(m_pPage->m_colorWnd.GetPictureColor(w - 1, h - 1), m_dlg->GetColor());
}

TEST_F(CustomPageTest, TheSpectrumIsDrawnFromTheConversionWithItsMarker)
{
    const int w = m_rcSpectrum.Width(), h = m_rcSpectrum.Height();
    for (int x = 0; x < w; x += 17)
        for (int y = 0; y < h; y += 13)
            ASSERT_EQ(HLStoRGB((double)x / w, 0.5, (double)y / h), m_pPage->m_colorWnd.GetPictureColor(x, h - 1 - y));
    EXPECT_EQ(CLR_INVALID, m_pPage->m_colorWnd.GetPictureColor(w, 0));

    m_pPage->m_colorWnd.SetColor(RGB(0, 0, 255), TRUE);
    const CPoint pt = m_pPage->m_colorWnd.GetMarker();
    Canvas canvas(w, h);
    m_pPage->m_colorWnd.DrawPicture(canvas.DC());
    // The marker's arms, black while the spectrum has no focus; its middle
    // left open.
    EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(pt.x - 7, pt.y));
    EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(pt.x, pt.y + 7));
    EXPECT_EQ(m_pPage->m_colorWnd.GetPictureColor(pt.x, pt.y + 2), canvas.Pixel(pt.x, pt.y + 2));
}

namespace
{
// The page on a plain sheet, counting its reads and writes of the fields.
class CountingPage : public CXTColorPageCustom
{
public:
    int m_nReads = 0;
    int m_nWrites = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        if (pDX->m_bSaveAndValidate)
            m_nReads++;
        else
            m_nWrites++;
        CXTColorPageCustom::DoDataExchange(pDX);
    }
};
} // namespace

TEST(CustomPageAlone, OneEditIsReadOnceAndARefusedOneWritesNothing)
{
    CPropertySheet sheet("Custom");
    CountingPage page;
    sheet.AddPage(&page);
    ASSERT_TRUE(sheet.Create(NULL));
    ASSERT_TRUE(page.m_hWnd != NULL);
    Boxes().texts.clear();

    // One typed value: one read, one write; the page's own writes of the
    // other fields run no handler (no read, no message).
    page.m_nReads = page.m_nWrites = 0;
    ::SetWindowTextA(::GetDlgItem(page.m_hWnd, XT_IDC_EDIT_RED), "255");
    EXPECT_EQ(1, page.m_nReads);
    EXPECT_EQ(1, page.m_nWrites);
    EXPECT_EQ(RGB(255, 0, 0), page.m_colorWnd.GetColor());
    page.m_nReads = page.m_nWrites = 0;
    ::SetWindowTextA(::GetDlgItem(page.m_hWnd, XT_IDC_EDIT_LUM), "200");
    EXPECT_EQ(1, page.m_nReads);
    EXPECT_EQ(1, page.m_nWrites);
    page.m_nReads = page.m_nWrites = 0;
    ::SetWindowTextA(::GetDlgItem(page.m_hWnd, XT_IDC_EDIT_HUE), "40");
    EXPECT_EQ(1, page.m_nReads);
    EXPECT_EQ(1, page.m_nWrites);
    EXPECT_TRUE(Boxes().texts.empty());

    // A refused value: one message, nothing written back.
    page.m_nReads = page.m_nWrites = 0;
    ::SetWindowTextA(::GetDlgItem(page.m_hWnd, XT_IDC_EDIT_GREEN), "999");
    EXPECT_EQ(1, page.m_nReads);
    EXPECT_EQ(0, page.m_nWrites);
    EXPECT_EQ(1u, Boxes().texts.size());
    sheet.DestroyWindow();
}
