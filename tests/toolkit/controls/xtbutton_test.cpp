// The themed push button: owner-drawn from a dialog template and through the
// dialog manager's default-button changes, its dialog code, its private
// themes, its images, the paint path and hover tracking.
// ctest: run-serial
#include "support/themedcontrols.h"
#include "XTAuxData.h"
#include "XTButton.h"

using testsupport::HostDialog;
using testsupport::ThemeTest;

namespace
{
::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new testsupport::Environment);

const int kButtonID = 1001;
const int kOtherID = 1002;

testsupport::DialogTemplate MakeTemplate()
{
    testsupport::DialogTemplate tmpl("Buttons", WS_POPUP | WS_CAPTION | WS_VISIBLE, 160, 60);
    tmpl.AddItem("BUTTON", "&Press", kButtonID, BS_PUSHBUTTON | WS_TABSTOP, 10, 10, 60, 16);
    tmpl.AddItem("BUTTON", "Other", kOtherID, BS_PUSHBUTTON | WS_TABSTOP, 80, 10, 60, 16);
    return tmpl;
}

// Records every draw it is asked for.
class RecordingButton : public CXTButton
{
public:
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDIS)
    {
        m_nDraws++;
        m_hLastDC = lpDIS->hDC;
        HBITMAP hBitmap = (HBITMAP)::GetCurrentObject(lpDIS->hDC, OBJ_BITMAP);
        BITMAP bm = {};
        if (hBitmap != NULL && ::GetObject(hBitmap, sizeof(bm), &bm))
            m_sizeLastSurface = CSize(bm.bmWidth, bm.bmHeight);
        CXTButton::DrawItem(lpDIS);
    }
    int m_nDraws = 0;
    HDC m_hLastDC = NULL;
    CSize m_sizeLastSurface;
};

UINT ButtonType(const CWnd& wnd)
{
    return (UINT)(::GetWindowLong(wnd.m_hWnd, GWL_STYLE) & 0x0F);
}
} // namespace

TEST_F(ThemeTest, TemplateButtonBecomesOwnerDrawnAndStaysSoAsTheDefaultButton)
{
    testsupport::DialogTemplate tmpl = MakeTemplate();
    HostDialog dlg(tmpl);
    ASSERT_TRUE(::IsWindow(dlg.m_hWnd));
    CXTButton button;
    ASSERT_TRUE(button.SubclassDlgItem(kButtonID, &dlg));
    EXPECT_EQ((UINT)BS_OWNERDRAW, ButtonType(button));

    button.SendMessage(BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    EXPECT_EQ((UINT)BS_OWNERDRAW, ButtonType(button));
    // The dialog manager moves the default to it and away again.
    dlg.SetDefID(kButtonID);
    dlg.SetDefID(kOtherID);
    EXPECT_EQ((UINT)BS_OWNERDRAW, ButtonType(button));

    // A button the object creates itself is owner-drawn from WM_CREATE.
    CXTButton created;
    ASSERT_TRUE(created.Create("Made", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 40, 60, 60), &dlg, 1003));
    EXPECT_EQ((UINT)BS_OWNERDRAW, ButtonType(created));
}

TEST_F(ThemeTest, DialogCodeAsksForTheDefaultOnlyWhileFocused)
{
    testsupport::DialogTemplate tmpl = MakeTemplate();
    HostDialog dlg(tmpl);
    CXTButton button;
    ASSERT_TRUE(button.SubclassDlgItem(kButtonID, &dlg));
    dlg.SetForegroundWindow();
    dlg.GetDlgItem(kOtherID)->SetFocus();
    EXPECT_EQ((LRESULT)DLGC_BUTTON, button.SendMessage(WM_GETDLGCODE));
    button.SetFocus();
    ASSERT_EQ(button.m_hWnd, ::GetFocus());
    EXPECT_EQ((LRESULT)(DLGC_BUTTON | DLGC_DEFPUSHBUTTON), button.SendMessage(WM_GETDLGCODE));
}

TEST_F(ThemeTest, StyleFlagsChooseAPrivateOrTheSharedTheme)
{
    XTThemeManager()->SetTheme(xtThemeOffice2003);
    CXTButton button, other;
    other.SetStyleFlags(0, FALSE);

    EXPECT_EQ((DWORD)BS_XT_FLAT, button.SetStyleFlags(BS_XT_XPFLAT | BS_XT_FLAT, FALSE));
    CXTButtonTheme* pTheme = button.GetTheme();
    ASSERT_NE(nullptr, dynamic_cast<CXTButtonThemeOfficeXP*>(pTheme));
    EXPECT_EQ(xtThemeOfficeXP, pTheme->GetThemeStyle());
    EXPECT_NE(other.GetTheme(), pTheme);

    // Only an Office XP theme takes the XP colours.
    button.SetXPColors(RGB(1, 2, 3), RGB(4, 5, 6), RGB(7, 8, 9));
    EXPECT_EQ(RGB(1, 2, 3), (COLORREF)pTheme->m_crBorderHilite);
    EXPECT_EQ(RGB(4, 5, 6), (COLORREF)static_cast<CXTButtonThemeOfficeXP*>(pTheme)->m_crBackHilite);

    button.SetStyleFlags(BS_XT_FLAT, FALSE);
    EXPECT_EQ(nullptr, dynamic_cast<CXTButtonThemeOfficeXP*>(button.GetTheme()));
    EXPECT_NE(other.GetTheme(), button.GetTheme());

    EXPECT_EQ((DWORD)BS_XT_FLAT, button.SetStyleFlags(0, FALSE));
    EXPECT_EQ(other.GetTheme(), button.GetTheme());
    EXPECT_NE(nullptr, dynamic_cast<CXTButtonThemeOffice2003*>(button.GetTheme()));
    const COLORREF clrBorder = button.GetTheme()->m_crBorderHilite;
    button.SetXPColors(RGB(1, 2, 3), RGB(4, 5, 6), RGB(7, 8, 9));
    EXPECT_EQ(clrBorder, (COLORREF)button.GetTheme()->m_crBorderHilite);
}

TEST_F(ThemeTest, IconsTakeTheirOwnSizeAndAFailedLoadKeepsTheOldOne)
{
    CXTButton button;
    HICON hIcon = ::LoadIcon(NULL, IDI_APPLICATION);
    ASSERT_TRUE(button.SetIcon(CSize(0, 0), hIcon, NULL, FALSE));
    const CSize sizeOwn = CXTPImageManagerIcon::GetIconExtent(hIcon);
    EXPECT_EQ(sizeOwn, button.GetImageSize());
    CXTPImageManagerIcon* pIcon = button.GetIcon();
    HICON hKept = button.GetIconHandle();
    ASSERT_NE(nullptr, hKept);

    EXPECT_FALSE(button.SetIcon(CSize(16, 16), 64999u, 0u, FALSE));
    EXPECT_FALSE(button.SetBitmap(CSize(16, 16), 64998u, FALSE));
    EXPECT_EQ(nullptr, button.GetIcon());

    ASSERT_TRUE(button.SetIcon(CSize(0, 0), hIcon, NULL, FALSE));
    pIcon = button.GetIcon();
    hKept = button.GetIconHandle();
    EXPECT_FALSE(button.SetIcon(CSize(16, 16), 64999u, 0u, FALSE));
    EXPECT_EQ(pIcon, button.GetIcon());
    EXPECT_EQ(hKept, button.GetIconHandle());

    // Hidden images have no size.
    button.ToggleShowImage();
    EXPECT_EQ(CSize(0, 0), button.GetImageSize());
    button.ToggleShowImage();
    EXPECT_EQ(sizeOwn, button.GetImageSize());
}

TEST_F(ThemeTest, PaintingGoesThroughTheButtonProcedureIntoAMemoryPicture)
{
    testsupport::DialogTemplate tmpl = MakeTemplate();
    HostDialog dlg(tmpl);
    RecordingButton button;
    ASSERT_TRUE(button.SubclassDlgItem(kButtonID, &dlg));
    CRect rcClient;
    button.GetClientRect(&rcClient);

    // The system's button procedure, given a DC with WM_PAINT, asks the
    // parent to draw the owner-drawn button on that very DC.
    HDC hScreen = ::GetDC(NULL);
    HDC hMem = ::CreateCompatibleDC(hScreen);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, rcClient.Width(), rcClient.Height());
    HGDIOBJ hOld = ::SelectObject(hMem, hBitmap);
    button.m_nDraws = 0;
    ::CallWindowProc(button.m_pfnSuper, button.m_hWnd, WM_PAINT, (WPARAM)hMem, 0);
    EXPECT_EQ(1, button.m_nDraws);
    EXPECT_EQ(hMem, button.m_hLastDC);
    ::SelectObject(hMem, hOld);
    ::DeleteObject(hBitmap);
    ::DeleteDC(hMem);
    ::ReleaseDC(NULL, hScreen);

    // A real paint draws once, into a picture of the button's size.
    button.m_nDraws = 0;
    button.Invalidate();
    button.UpdateWindow();
    EXPECT_EQ(1, button.m_nDraws);
    EXPECT_EQ(rcClient.Size(), button.m_sizeLastSurface);
}

TEST_F(ThemeTest, HoverTrackingLightsTheButtonAndEndsWhenTheCursorLeavesOrItIsPressed)
{
    testsupport::DialogTemplate tmpl = MakeTemplate();
    HostDialog dlg(tmpl);
    CXTButton button;
    ASSERT_TRUE(button.SubclassDlgItem(kButtonID, &dlg));
    CRect rcButton;
    button.GetWindowRect(&rcButton);

    // A classic button that is not flat does not track.
    button.SetStyleFlags(0, FALSE);
    ::SetCursorPos(rcButton.CenterPoint().x, rcButton.CenterPoint().y);
    button.OnHoverTimer();
    EXPECT_FALSE(button.IsHot());

    button.SetStyleFlags(BS_XT_FLAT, FALSE);
    button.OnHoverTimer();
    EXPECT_TRUE(button.IsHot());

    ::SetCursorPos(rcButton.right + 40, rcButton.bottom + 40);
    button.OnHoverTimer();
    EXPECT_FALSE(button.IsHot());

    ::SetCursorPos(rcButton.CenterPoint().x, rcButton.CenterPoint().y);
    button.OnHoverTimer();
    ASSERT_TRUE(button.IsHot());
    button.m_bLBtnDown = TRUE;
    button.OnHoverTimer();
    EXPECT_FALSE(button.IsHot());
    button.m_bLBtnDown = FALSE;
}
