// The Office 2007 theme: its colours from the program's theme text, the
// theme resources themselves (every key and picture the Office 2007 look,
// its gallery painter and the ribbon theme ask for), the status bar,
// workspace and window frame drawn from the pictures, and an empty store.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <memory>
#include <string>
#include <vector>

#include "XTPControlButton.h"
#include "XTPControls.h"
#include "XTPDCHelpers.h"
#include "XTPOffice2007Theme.h"
#include "support/canvas.h"
#include "support/snapshot.h"
#include "support/themescene.h"

using testsupport::Canvas;

namespace
{
class Office2007Test : public testsupport::InstalledThemeTest<CXTPOffice2007Theme>
{
protected:
    CXTPOffice2007ImageStore* Store() { return m_pTheme->GetImages(); }
    COLORREF Ini(LPCTSTR lpszSection, LPCTSTR lpszKey) { return Store()->GetImageColor(lpszSection, lpszKey); }
};

// The frame manager's answers for a test frame.
class TestFrameInfo : public CXTPOffice2007FrameInfo
{
public:
    HWND GetFrameHwnd() const override { return m_hWnd; }
    BOOL IsFrameActive() const override { return m_bActive; }
    int GetCaptionHeight() const override { return m_nCaption; }
    BOOL IsCaptionVisible() const override { return m_bCaption; }
    int GetFrameBorder() const override { return m_nBorder; }
    CXTPControls* GetCaptionButtons() const override { return m_pButtons; }
    BOOL IsFrameHasStatusBar(int* pnHeight) const override
    {
        if (pnHeight != NULL)
            *pnHeight = m_nStatus;
        return m_nStatus > 0;
    }

    HWND m_hWnd = NULL;
    BOOL m_bActive = TRUE;
    int m_nCaption = 30;
    BOOL m_bCaption = TRUE;
    int m_nBorder = 4;
    int m_nStatus = 0;
    CXTPControls* m_pButtons = nullptr;
};

// Whether any pixel of a rectangle has the colour.
bool HasColour(const Canvas& canvas, CRect rc, COLORREF clr)
{
    for (int y = rc.top; y < rc.bottom; y++)
        for (int x = rc.left; x < rc.right; x++)
            if (canvas.Pixel(x, y) == clr)
                return true;
    return false;
}

// Whether two colours differ by at most a few steps per channel (the last
// row of a gradient).
bool Near(COLORREF a, COLORREF b, int nTolerance = 4)
{
    return abs(GetRValue(a) - GetRValue(b)) <= nTolerance && abs(GetGValue(a) - GetGValue(b)) <= nTolerance &&
           abs(GetBValue(a) - GetBValue(b)) <= nTolerance;
}

// A picture of the store drawn alone, for comparing pixels.
COLORREF ImagePixel(CXTPOffice2007Image* pImage, int x, int y)
{
    Canvas canvas(pImage->GetWidth(), pImage->GetHeight(), RGB(1, 1, 1));
    CRect rc(0, 0, pImage->GetWidth(), pImage->GetHeight());
    pImage->DrawImage(canvas.DC(), rc, rc, CRect(0, 0, 0, 0));
    return canvas.Pixel(x, y);
}

const LPCTSTR kContextColours[] = { _T("BLUE"), _T("YELLOW"), _T("GREEN"), _T("RED"),
                                    _T("PURPLE"), _T("CYAN"), _T("ORANGE") };
} // namespace

// ---------------------------------------------------------------------------
// The theme resources.

TEST_F(Office2007Test, ThemeTextHoldsEveryKeyTheOffice2007LookTheGalleryAndTheRibbonRead)
{
    ASSERT_TRUE(Store()->IsValid()) << "OFFICE2007BLUE_INI is in the program's resources";
    EXPECT_EQ(CString(_T("OFFICE2007BLUE_INI")), Store()->GetName());

    struct Key
    {
        LPCTSTR lpszSection, lpszKey;
    };
    const Key keys[] = {
        { _T("StatusBar"), _T("StatusBarText") }, { _T("StatusBar"), _T("StatusBarShadow") },
        { _T("StatusBar"), _T("StatusBarFaceTopLight") }, { _T("StatusBar"), _T("StatusBarFaceTopDark") },
        { _T("StatusBar"), _T("StatusBarFaceBottomLight") }, { _T("StatusBar"), _T("StatusBarFaceBottomDark") },
        { _T("Toolbar"), _T("DockBarFace") }, { _T("Toolbar"), _T("ToolbarFaceLight") },
        { _T("Toolbar"), _T("ToolbarFaceDark") }, { _T("Toolbar"), _T("ToolbarFaceShadow") },
        { _T("Toolbar"), _T("ControlToolbarExpandLight") }, { _T("Toolbar"), _T("ControlToolbarExpandDark") },
        { _T("Toolbar"), _T("ControlHighlightPopupedLight") }, { _T("Toolbar"), _T("ControlHighlightPopupedDark") },
        { _T("Toolbar"), _T("MenuPopupExpandedGripperLight") }, { _T("Toolbar"), _T("MenuPopupExpandedGripperDark") },
        { _T("Toolbar"), _T("MenuPopupTearOffGripper") }, { _T("Toolbar"), _T("MenuBarText") },
        { _T("Toolbar"), _T("MenuPopupBorder") }, { _T("Toolbar"), _T("ToolbarGripper") },
        { _T("Window"), _T("WindowFrame") }, { _T("Toolbar"), _T("FloatingBarGripper") },
        { _T("Toolbar"), _T("FloatingBarGripperText") }, { _T("Toolbar"), _T("FloatingBarBorder") },
        { _T("Workspace"), _T("AppWorkspace") }, { _T("Window"), _T("ButtonFace") },
        { _T("Toolbar"), _T("ToolbarFace") }, { _T("Toolbar"), _T("ToolbarSeparator") },
        { _T("Toolbar"), _T("ControlDisabledIcon") }, { _T("Workspace"), _T("WorkspaceClientTop") },
        { _T("Workspace"), _T("WorkspaceClientMiddle") }, { _T("Workspace"), _T("WorkspaceClientBottom") },
        { _T("Window"), _T("HighlightSelected") }, { _T("Window"), _T("HighlightSelectedBorder") },
        { _T("Window"), _T("HighlightPressed") }, { _T("Window"), _T("HighlightPressedBorder") },
        { _T("Window"), _T("HighlightChecked") }, { _T("Window"), _T("HighlightCheckedBorder") },
        { _T("Window"), _T("HighlightSelectedLight") }, { _T("Window"), _T("HighlightSelectedDark") },
        { _T("Window"), _T("HighlightCheckedLight") }, { _T("Window"), _T("HighlightCheckedDark") },
        { _T("Window"), _T("HighlightPressedLight") }, { _T("Window"), _T("HighlightPressedDark") },
        { _T("Window"), _T("BorderActive0") }, { _T("Window"), _T("BorderActive1") },
        { _T("Window"), _T("BorderActive2") }, { _T("Window"), _T("BorderActive3") },
        { _T("Window"), _T("BorderInactive0") }, { _T("Window"), _T("BorderInactive1") },
        { _T("Window"), _T("BorderInactive2") }, { _T("Window"), _T("BorderInactive3") },
        { _T("Window"), _T("CaptionTextActiveTitle") }, { _T("Window"), _T("CaptionTextInActive") },
        { _T("Window"), _T("CaptionTextActive") }, { _T("Toolbar"), _T("ControlLabel") },
        { _T("Toolbar"), _T("ControlEditBorder") }, { _T("Toolbar"), _T("ControlDisabledIconLight") },
        { _T("Toolbar"), _T("ControlDisabledIconDark") },
        // The gallery painter.
        { _T("Toolbar"), _T("ControlGallerySelected") }, { _T("Toolbar"), _T("ControlGalleryNormal") },
        { _T("Toolbar"), _T("ControlGalleryBorder") },
        // The ribbon theme and the keyboard tips.
        { _T("Ribbon"), _T("RibbonFace") }, { _T("Ribbon"), _T("TabNormalText") },
        { _T("Ribbon"), _T("TabSelectedText") }, { _T("Ribbon"), _T("GroupCaptionText") },
        { _T("Ribbon"), _T("GroupClientText") }, { _T("Ribbon"), _T("MenuPopupText") },
        { _T("Ribbon"), _T("ControlHighlightText") }, { _T("Ribbon"), _T("RibbonText") },
        { _T("Ribbon"), _T("ControlEditNormal") }, { _T("Ribbon"), _T("MinimizedFrameEdgeHighLight") },
        { _T("Ribbon"), _T("MinimizedFrameEdgeShadow") }, { _T("Window"), _T("TooltipLight") },
        { _T("Window"), _T("TooltipDark") }, { _T("Window"), _T("TooltipBorder") },
        // The docking panes and tab strips that read the same text.
        { _T("Window"), _T("EdgeHighLightColor") }, { _T("DockingPane"), _T("Splitter") },
        { _T("DockingPane"), _T("SplitterLight") }, { _T("DockingPane"), _T("SplitterDark") },
        { _T("DockingPane"), _T("NormalCaptionLight") }, { _T("DockingPane"), _T("NormalCaptionDark") },
        { _T("DockingPane"), _T("NormalCaptionText") }, { _T("DockingPane"), _T("ActiveCaptionLight") },
        { _T("DockingPane"), _T("ActiveCaptionDark") }, { _T("DockingPane"), _T("ActiveCaptionText") },
        { _T("TabManager"), _T("FrameBorder") }, { _T("TabManager"), _T("DarkShadow") },
        { _T("TabManager"), _T("LightShadow") }, { _T("TabManager"), _T("HeaderFaceLight") },
        { _T("TabManager"), _T("HeaderFaceDark") }, { _T("TabManager"), _T("AutoHideFaceLight") },
        { _T("TabManager"), _T("AutoHideFaceDark") },
    };
    for (const Key& key : keys)
        EXPECT_NE(COLORREF_NULL, Ini(key.lpszSection, key.lpszKey)) << key.lpszSection << "/" << key.lpszKey;
    EXPECT_EQ(RGB(59, 97, 156), Ini(_T("Window"), _T("BorderActive0")));
    EXPECT_EQ(COLORREF_NULL, Ini(_T("Window"), _T("NoSuchKey")));
}

TEST_F(Office2007Test, EveryPictureTheThemesNameIsThereWithItsStates)
{
    struct Part
    {
        CString strName;
        int nStates;
    };
    std::vector<Part> parts = {
        { _T("FRAMETOPLEFT"), 2 }, { _T("FRAMETOPCENTER"), 2 }, { _T("FRAMETOPRIGHT"), 2 },
        { _T("FRAMEBOTTOMLEFT"), 2 }, { _T("FRAMEBOTTOMRIGHT"), 2 }, { _T("FRAMECAPTIONBUTTON"), 2 },
        { _T("STATUSBARLIGHT"), 1 }, { _T("STATUSBARDARK"), 1 }, { _T("STATUSBARDEVIDER"), 1 },
        { _T("STATUSBARGRIPPER"), 1 }, { _T("WORKSPACETOPLEFT"), 1 }, { _T("CONTROLGALLERYUP"), 5 },
        { _T("CONTROLGALLERYDOWN"), 5 }, { _T("CONTROLGALLERYPOPUP"), 5 },
        { _T("CONTROLGALLERYSCROLLARROWGLYPHS"), 8 }, { _T("CONTROLGALLERYSCROLLVERTICALLIGHT"), 2 },
        { _T("CONTROLGALLERYSCROLLVERTICALDARK"), 2 }, { _T("CONTROLGALLERYSCROLLARROWSVERTICALLIGHT"), 4 },
        { _T("CONTROLGALLERYSCROLLARROWSVERTICALDARK"), 4 }, { _T("CONTROLGALLERYSCROLLTHUMBVERTICAL"), 3 },
        { _T("CONTROLGALLERYSCROLLTHUMBGRIPPERVERTICAL"), 3 }, { _T("RIBBONGROUPS"), 1 },
        { _T("RIBBONQUICKACCESSFRAME"), 1 }, { _T("RIBBONOPTIONBUTTON"), 4 }, { _T("POPUPBARFRAME"), 1 },
        { _T("MOREPOPUPBARFRAME"), 1 }, { _T("RIBBONQUICKACCESSAREA"), 1 }, { _T("RIBBONQUICKACCESSAREADWM"), 1 },
        { _T("RIBBONQUICKACCESSBUTTON"), 4 }, { _T("RIBBONQUICKACCESSMORE"), 4 },
        { _T("RIBBONGROUPSSCROLLLEFT"), 3 }, { _T("RIBBONGROUPSSCROLLRIGHT"), 3 },
        { _T("RIBBONGROUPSSCROLLLEFTGLYPH"), 3 }, { _T("RIBBONGROUPSSCROLLRIGHTGLYPH"), 3 },
        { _T("RIBBONTAB"), 6 }, { _T("RIBBONTABSEPARATOR"), 1 }, { _T("CONTEXTTABSEPARATOR"), 1 },
        { _T("RIBBONGROUPCLIENT"), 2 }, { _T("RIBBONGROUPCAPTION"), 2 }, { _T("CONTEXTTABGROUPCLIENT"), 2 },
        { _T("CONTEXTTABGROUPCAPTION"), 2 }, { _T("RIBBONGROUPQUICKACCESS"), 3 }, { _T("RIBBONGROUPBUTTON"), 3 },
        { _T("RIBBONGROUPBUTTONICON"), 1 }, { _T("FRAMESYSTEMBUTTON"), 3 }, { _T("FRAMESYSTEMBUTTON52"), 3 },
        { _T("TOOLBARBUTTONS22"), 4 }, { _T("TOOLBARBUTTONS50"), 4 }, { _T("TOOLBARBUTTONSSPLIT22"), 6 },
        { _T("TOOLBARBUTTONSSPLITDROPDOWN22"), 6 }, { _T("TOOLBARBUTTONSSPLIT50"), 6 },
        { _T("TOOLBARBUTTONSSPLITDROPDOWN50"), 6 }, { _T("TOOLBARBUTTONSSPECIALSPLITLEFT"), 6 },
        { _T("TOOLBARBUTTONSSPECIALSPLITCENTER"), 6 }, { _T("TOOLBARBUTTONSSPECIALSPLITDROPDOWNRIGHT"), 6 },
        { _T("TOOLBARBUTTONSSPECIALSPLITDROPDOWNCENTER"), 6 }, { _T("TOOLBARBUTTONSSPECIALSINGLE"), 6 },
        { _T("TOOLBARBUTTONSSPECIALLEFT"), 6 }, { _T("TOOLBARBUTTONSSPECIALRIGHT"), 6 },
        { _T("TOOLBARBUTTONSSPECIALCENTER"), 6 }, { _T("TOOLBARBUTTONSCOMBODROPDOWN"), 2 },
        { _T("TOOLBARBUTTONSPIN"), 10 }, { _T("MENUCHECKEDITEM"), 2 }, { _T("MENUSELECTEDITEM22"), 1 },
        { _T("MENUSELECTEDITEM54"), 1 }, { _T("MENUSELECTEDDISABLEDITEM22"), 1 },
        { _T("MENUSELECTEDDISABLEDITEM54"), 1 }, { _T("TOOLBARBUTTONCHECKBOX"), 12 },
        { _T("TOOLBARBUTTONRADIOBUTTON"), 8 }, { _T("TOOLBARBUTTONDROPDOWNGLYPH"), 4 },
        { _T("MENUSPLITDROPDOWN"), 3 }, { _T("MENUPOPUPGLYPH"), 2 },
    };
    for (LPCTSTR lpszKind : { _T("CLOSE"), _T("MINIMIZE"), _T("MAXIMIZE"), _T("RESTORE") })
        for (int nSize : { 13, 17, 23 })
        {
            CString strName;
            strName.Format(_T("FRAMECAPTION%s%i"), lpszKind, nSize);
            parts.push_back({ strName, 5 });
        }
    for (LPCTSTR lpszColour : kContextColours)
    {
        CString strColour(lpszColour);
        parts.push_back({ _T("CONTEXTTAB") + strColour, 5 });
        parts.push_back({ _T("CONTEXTTAB") + strColour + _T("CLIENT"), 1 });
        parts.push_back({ _T("CONTEXTTAB") + strColour + _T("GROUPBUTTON"), 3 });
        parts.push_back({ _T("ContextTab") + strColour + _T("Header"), 1 });
    }

    for (const Part& part : parts)
    {
        CXTPOffice2007Image* pImage = m_pTheme->LoadImage(part.strName);
        ASSERT_NE(nullptr, pImage) << (LPCTSTR)part.strName;
        EXPECT_EQ(0, pImage->GetHeight() % part.nStates) << (LPCTSTR)part.strName;
        EXPECT_GT(pImage->GetSource(part.nStates - 1, part.nStates).Height(), 0) << (LPCTSTR)part.strName;
    }
    // The caption glyphs are square in their size; the option button and
    // the check marks have the sizes the ribbon measures.
    EXPECT_EQ(17, m_pTheme->LoadImage(_T("FRAMECAPTIONCLOSE17"))->GetWidth());
    EXPECT_EQ(23, m_pTheme->LoadImage(_T("FRAMECAPTIONRESTORE23"))->GetSource(4, 5).Height());
    EXPECT_EQ(CSize(15, 14), m_pTheme->LoadImage(_T("RIBBONOPTIONBUTTON"))->GetSource(0, 4).Size());
    EXPECT_EQ(CSize(13, 13), m_pTheme->LoadImage(_T("TOOLBARBUTTONCHECKBOX"))->GetSource(11, 12).Size());
    EXPECT_EQ(nullptr, m_pTheme->LoadImage(_T("NOSUCHPICTURE")));
    EXPECT_EQ(nullptr, m_pTheme->LoadImage(_T("CONTEXTTAB"))) << "no picture without a colour name";
}

TEST_F(Office2007Test, CaptionCornerPicturesJoinTheCentreBesideTheirRoundedEnd)
{
    CXTPOffice2007Image* pLeft = m_pTheme->LoadImage(_T("FRAMETOPLEFT"));
    CXTPOffice2007Image* pCenter = m_pTheme->LoadImage(_T("FRAMETOPCENTER"));
    CXTPOffice2007Image* pRight = m_pTheme->LoadImage(_T("FRAMETOPRIGHT"));
    ASSERT_TRUE(pLeft != nullptr && pCenter != nullptr && pRight != nullptr);
    const int w = pCenter->GetWidth(), h = pCenter->GetHeight();
    ASSERT_EQ(w, pLeft->GetWidth());
    ASSERT_EQ(w, pRight->GetWidth());
    ASSERT_EQ(h, pLeft->GetHeight());

    // Each picture read back as built, all states.
    auto draw = [w, h](CXTPOffice2007Image* pImage) {
        std::unique_ptr<Canvas> canvas(new Canvas(w, h, RGB(1, 1, 1)));
        pImage->DrawImage(canvas->DC(), CRect(0, 0, w, h), CRect(0, 0, w, h), CRect(0, 0, 0, 0));
        return canvas;
    };
    std::unique_ptr<Canvas> left = draw(pLeft), center = draw(pCenter), right = draw(pRight);
    testsupport::SaveSnapshot(*left, "office2007_frametopleft");
    testsupport::SaveSnapshot(*right, "office2007_frametopright");

    // Below the rounded corner only the outline and the light line inside
    // it mark the end; every other pixel is the centre's, so no line shows
    // where the corner picture meets the centre.
    const COLORREF clrOutline[2] = { Ini(_T("Window"), _T("BorderActive0")), Ini(_T("Window"), _T("BorderInactive0")) };
    for (int nState = 0; nState < 2; nState++)
    {
        const CRect rcPart = pCenter->GetSource(nState, 2);
        for (int y = rcPart.top + 2; y < rcPart.bottom; y++)
        {
            const int nFirst = y - rcPart.top < 4 ? 5 : 2;
            for (int x = nFirst; x < w; x++)
            {
                EXPECT_EQ(center->Pixel(x, y), left->Pixel(x, y)) << "left picture at " << x << ", " << y;
                EXPECT_EQ(center->Pixel(w - 1 - x, y), right->Pixel(w - 1 - x, y))
                    << "right picture at " << w - 1 - x << ", " << y;
            }
            if (y - rcPart.top >= 4)
            {
                EXPECT_EQ(clrOutline[nState], left->Pixel(0, y)) << y;
                EXPECT_EQ(clrOutline[nState], right->Pixel(w - 1, y)) << y;
                EXPECT_NE(center->Pixel(1, y), left->Pixel(1, y)) << "the light line inside the outline, " << y;
                EXPECT_NE(center->Pixel(w - 2, y), right->Pixel(w - 2, y)) << y;
            }
        }
    }
}

// ---------------------------------------------------------------------------
// Colours.

TEST_F(Office2007Test, RefreshReadsEveryColourFromTheThemeText)
{
    EXPECT_EQ(xtpThemeOffice2007, m_pTheme->BaseTheme());
    EXPECT_EQ(Ini(_T("StatusBar"), _T("StatusBarText")), m_pTheme->m_clrStatusTextColor);
    EXPECT_EQ(Ini(_T("StatusBar"), _T("StatusBarShadow")), m_pTheme->m_clrStatusBarShadow);
    EXPECT_EQ(Ini(_T("StatusBar"), _T("StatusBarFaceBottomDark")), m_pTheme->m_clrStatusBarBottom.clrDark.GetColor());
    EXPECT_EQ(Ini(_T("Toolbar"), _T("DockBarFace")), m_pTheme->m_clrDockBar.clrLight.GetColor());
    EXPECT_EQ(Ini(_T("Toolbar"), _T("DockBarFace")), m_pTheme->m_clrDockBar.clrDark.GetColor());
    EXPECT_EQ(Ini(_T("Toolbar"), _T("ToolbarFaceDark")), m_pTheme->m_clrCommandBar.clrDark.GetColor());
    EXPECT_FLOAT_EQ(0.75f, m_pTheme->m_clrCommandBar.fGradientFactor);
    EXPECT_EQ(Ini(_T("Toolbar"), _T("ControlHighlightPopupedLight")), m_pTheme->m_clrMenuGlyph.clrLight.GetColor())
        << "the glyph gradient copies the popped-up one";
    EXPECT_EQ(Ini(_T("Toolbar"), _T("MenuBarText")), m_pTheme->m_clrMenuBarText);
    EXPECT_EQ(Ini(_T("Toolbar"), _T("MenuPopupBorder")), m_pTheme->GetColor(43));
    EXPECT_EQ(Ini(_T("Toolbar"), _T("ToolbarGripper")), m_pTheme->GetColor(38));
    EXPECT_EQ(Ini(_T("Workspace"), _T("AppWorkspace")), m_pTheme->GetColor(COLOR_APPWORKSPACE));
    EXPECT_EQ(Ini(_T("Window"), _T("ButtonFace")), m_pTheme->GetColor(51));
    EXPECT_EQ(m_pTheme->m_clrToolbarShadow.GetColor(), m_pTheme->GetColor(52));
    EXPECT_EQ(Ini(_T("Window"), _T("HighlightPressedBorder")), m_pTheme->GetColor(50));
    EXPECT_EQ(Ini(_T("Window"), _T("HighlightCheckedDark")), m_pTheme->m_grcLunaChecked.clrDark.GetColor());
    EXPECT_EQ(Ini(_T("Window"), _T("BorderInactive2")), m_pTheme->m_clrFrameBorderInactive[2]);
    EXPECT_EQ(Ini(_T("Window"), _T("CaptionTextActiveTitle")), m_pTheme->m_clrFrameCaptionTextActiveTitle);
    EXPECT_EQ(Ini(_T("Toolbar"), _T("ControlLabel")), m_pTheme->GetColor(56));
    EXPECT_EQ(Ini(_T("Toolbar"), _T("ControlDisabledIconDark")), m_pTheme->m_clrDisabledIcon.clrDark.GetColor());
    EXPECT_EQ(Ini(_T("Toolbar"), _T("FloatingBarGripper")), m_pTheme->m_clrFloatingGripper.GetColor());

    // Fixed values.
    EXPECT_EQ(RGB(246, 246, 246), m_pTheme->GetColor(41));
    for (int nIndex : { 44, 45, 46, 47 })
        EXPECT_EQ(RGB(0, 0, 0), m_pTheme->GetColor(nIndex)) << nIndex;
    for (int nIndex : { 35, 58, 60 })
        EXPECT_EQ(RGB(141, 141, 141), m_pTheme->GetColor(nIndex)) << nIndex;
    EXPECT_TRUE(m_pTheme->m_bLunaTheme);
    EXPECT_EQ(0, m_pTheme->m_nLunaTheme);
    EXPECT_TRUE(m_pTheme->m_bWideCaptionSpacing);
    EXPECT_FALSE(m_pTheme->m_bFrameStatusBar);
    EXPECT_GE(m_pTheme->m_nFrameCaptionHeight, 17);
    EXPECT_GE(m_pTheme->m_nRibbonCaptionHeight, 18);
    EXPECT_NE(nullptr, m_pTheme->GetCaptionFont()->GetSafeHandle());

    // A colour the application set wins over the theme text.
    m_pTheme->GetColorEntry(43).SetCustomValue(RGB(1, 2, 3));
    m_pTheme->RefreshMetrics();
    EXPECT_EQ(RGB(1, 2, 3), m_pTheme->GetColor(43));
}

TEST_F(Office2007Test, MenuBarItemsInTheirNormalStateUseTheMenuBarText)
{
    COLORREF clrMenuBar = m_pTheme->m_clrMenuBarText;
    EXPECT_EQ(clrMenuBar, m_pTheme->GetRectangleTextColor(FALSE, FALSE, TRUE, FALSE, FALSE, 0, 0));
    for (int nState = 0; nState < 4; nState++)
    {
        BOOL bSelected = nState == 0, bPressed = nState == 1, bChecked = nState == 2, bPopuped = nState == 3;
        COLORREF clr = m_pTheme->GetRectangleTextColor(bSelected, bPressed, TRUE, bChecked, bPopuped, 0, 0);
        EXPECT_EQ(m_pTheme->XTPPaintThemes::CXTPOfficeTheme::GetRectangleTextColor(bSelected, bPressed, TRUE,
                                                                                   bChecked, bPopuped, 0, 0),
                  clr)
            << nState;
    }
    EXPECT_NE(clrMenuBar, m_pTheme->GetRectangleTextColor(FALSE, FALSE, FALSE, FALSE, FALSE, 0, 0))
        << "a disabled item";
    EXPECT_NE(clrMenuBar, m_pTheme->GetRectangleTextColor(FALSE, FALSE, TRUE, FALSE, FALSE, 1, 0))
        << "a tool bar button";
}

// ---------------------------------------------------------------------------
// Status bar and workspace.

TEST_F(Office2007Test, StatusBarFaceBordersAndGripper)
{
    CXTPStatusBar statusBar;
    statusBar.CWnd::CreateEx(0, AfxRegisterWndClass(0), _T(""), WS_POPUP, CRect(0, 0, 200, 24), NULL, 0);
    Canvas canvas(200, 24, RGB(9, 9, 9));
    m_pTheme->FillStatusBar(canvas.DC(), &statusBar);
    EXPECT_EQ(m_pTheme->m_clrStatusBarShadow, canvas.Pixel(0, 0));
    EXPECT_EQ(m_pTheme->m_clrStatusBarShadow, canvas.Pixel(199, 0));
    EXPECT_EQ(Ini(_T("StatusBar"), _T("StatusBarFaceTopLight")), canvas.Pixel(50, 1));
    EXPECT_EQ(Ini(_T("StatusBar"), _T("StatusBarFaceBottomLight")), canvas.Pixel(50, 9));
    EXPECT_TRUE(Near(Ini(_T("StatusBar"), _T("StatusBarFaceBottomDark")), canvas.Pixel(50, 23)));

    canvas.Fill(RGB(9, 9, 9));
    m_pTheme->DrawStatusBarPaneBorder(canvas.DC(), CRect(10, 2, 60, 24), TRUE);
    EXPECT_EQ(RGB(9, 9, 9), canvas.Pixel(59, 5)) << "the last pane has no border";
    m_pTheme->DrawStatusBarPaneBorder(canvas.DC(), CRect(10, 2, 60, 24), FALSE);
    EXPECT_EQ(m_pTheme->GetColor(39), canvas.Pixel(59, 2));
    EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(60, 2));
    EXPECT_EQ(m_pTheme->GetColor(39), canvas.Pixel(59, 21));
    EXPECT_EQ(RGB(9, 9, 9), canvas.Pixel(59, 22)) << "height bottom - top - 2";

    canvas.Fill(RGB(9, 9, 9));
    m_pTheme->DrawStatusBarGripper(canvas.DC(), CRect(0, 0, 200, 24));
    // Six dots: at (right - 3, bottom - 3) the dot colour, its white twin one
    // pixel down and right; none at (right - 7, bottom - 11).
    EXPECT_EQ(m_pTheme->GetColor(39), canvas.Pixel(197, 21));
    EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(199, 23));
    EXPECT_EQ(m_pTheme->GetColor(39), canvas.Pixel(189, 21));
    EXPECT_EQ(m_pTheme->GetColor(39), canvas.Pixel(197, 13));
    EXPECT_EQ(RGB(9, 9, 9), canvas.Pixel(193, 13));
    statusBar.DestroyWindow();
}

TEST_F(Office2007Test, WorkspaceTopLeftPictureThenTwoGradientsInsideTheClip)
{
    CXTPOffice2007Image* pCorner = m_pTheme->LoadImage(_T("WORKSPACETOPLEFT"));
    ASSERT_NE(nullptr, pCorner);
    int cy = pCorner->GetHeight();
    Canvas canvas(300, 200, RGB(9, 9, 9));
    m_pTheme->FillWorkspace(canvas.DC(), CRect(0, 0, 300, 200), CRect(100, 100, 150, 150));
    EXPECT_EQ(ImagePixel(pCorner, 0, 0), canvas.Pixel(0, 0));
    EXPECT_EQ(ImagePixel(pCorner, pCorner->GetWidth() - 1, 0), canvas.Pixel(299, 0)) << "right column stretches";
    int nRest = 200 - cy;
    EXPECT_EQ(m_pTheme->m_clrWorkspaceClientTop, canvas.Pixel(10, cy));
    EXPECT_EQ(m_pTheme->m_clrWorkspaceClientMiddle, canvas.Pixel(10, cy + nRest * 2 / 3));
    EXPECT_TRUE(Near(m_pTheme->m_clrWorkspaceClientBottom, canvas.Pixel(10, 199)));
    EXPECT_EQ(RGB(9, 9, 9), canvas.Pixel(120, 120)) << "the excluded rectangle is left alone";
    EXPECT_NE(RGB(9, 9, 9), canvas.Pixel(160, 120));
}

// ---------------------------------------------------------------------------
// The window frame.

TEST_F(Office2007Test, CaptionButtonGlyphSizeFollowsTheButtonWidth)
{
    EXPECT_EQ(13, CXTPOffice2007Theme::GetCaptionButtonGlyphSize(14));
    EXPECT_EQ(17, CXTPOffice2007Theme::GetCaptionButtonGlyphSize(15));
    EXPECT_EQ(17, CXTPOffice2007Theme::GetCaptionButtonGlyphSize(26));
    EXPECT_EQ(23, CXTPOffice2007Theme::GetCaptionButtonGlyphSize(27));

    // The close glyph of 17 pixels, state 0, centred in a 25 x 21 button, over
    // nothing (not hot): every pixel of the glyph's part that is not magenta.
    CXTPOffice2007Image* pGlyph = m_pTheme->LoadImage(_T("FRAMECAPTIONCLOSE17"));
    ASSERT_NE(nullptr, pGlyph);
    Canvas canvas(25, 21, RGB(9, 9, 9));
    m_pTheme->DrawFrameCaptionButton(canvas.DC(), CRect(0, 0, 25, 21), SC_CLOSE, FALSE, FALSE, TRUE);
    int nLeft = (25 - 17) / 2, nTop = (21 - 17) / 2;
    int nSame = 0, nGlyph = 0, nKey = 0;
    for (int y = 0; y < 17; y++)
        for (int x = 0; x < 17; x++)
        {
            COLORREF clr = ImagePixel(pGlyph, x, y);
            if (clr == RGB(255, 0, 255))
            {
                nKey++;
                EXPECT_EQ(RGB(9, 9, 9), canvas.Pixel(nLeft + x, nTop + y));
                continue;
            }
            nGlyph++;
            nSame += canvas.Pixel(nLeft + x, nTop + y) == clr;
        }
    EXPECT_GT(nGlyph, 20);
    EXPECT_GT(nKey, 100) << "the glyph's background is the transparent key";
    EXPECT_EQ(nGlyph, nSame);

    // Hot: the button face behind; inactive: state 3 (another colour).
    m_pTheme->DrawFrameCaptionButton(canvas.DC(), CRect(0, 0, 25, 21), SC_CLOSE, TRUE, FALSE, TRUE);
    EXPECT_NE(RGB(9, 9, 9), canvas.Pixel(2, 10));
    Canvas inactive(25, 21, RGB(9, 9, 9));
    m_pTheme->DrawFrameCaptionButton(inactive.DC(), CRect(0, 0, 25, 21), SC_CLOSE, FALSE, FALSE, FALSE);
    CRect rcInactive = pGlyph->GetSource(3, 5);
    EXPECT_EQ(ImagePixel(pGlyph, 8, rcInactive.top + 8), inactive.Pixel(nLeft + 8, nTop + 8));
}

TEST_F(Office2007Test, FrameRegionRoundsTheTopAndAMaximizedFrameHasNone)
{
    HWND hWnd = ::CreateWindowExA(0, "STATIC", "frame", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, NULL, NULL, NULL, NULL);
    TestFrameInfo frame;
    frame.m_hWnd = hWnd;
    HRGN hRgn = m_pTheme->CalcFrameRegion(&frame, 300, 200);
    ASSERT_NE((HRGN)NULL, hRgn);
    EXPECT_FALSE(::PtInRegion(hRgn, 3, 0));
    EXPECT_TRUE(::PtInRegion(hRgn, 4, 0));
    EXPECT_FALSE(::PtInRegion(hRgn, 1, 1));
    EXPECT_TRUE(::PtInRegion(hRgn, 2, 1));
    EXPECT_FALSE(::PtInRegion(hRgn, 0, 3));
    EXPECT_TRUE(::PtInRegion(hRgn, 0, 4));
    EXPECT_FALSE(::PtInRegion(hRgn, 296, 0));
    EXPECT_TRUE(::PtInRegion(hRgn, 0, 199)) << "a square bottom";
    EXPECT_TRUE(::PtInRegion(hRgn, 299, 199));

    // The window takes it as its region: the same shape comes back.
    HRGN hCopy = ::CreateRectRgn(0, 0, 0, 0);
    ::CombineRgn(hCopy, hRgn, NULL, RGN_COPY);
    ASSERT_NE(0, ::SetWindowRgn(hWnd, hRgn, FALSE));
    HRGN hBack = ::CreateRectRgn(0, 0, 0, 0);
    EXPECT_NE(ERROR, ::GetWindowRgn(hWnd, hBack));
    EXPECT_TRUE(::EqualRgn(hCopy, hBack));
    ::DeleteObject(hBack);
    ::DeleteObject(hCopy);
    ::SetWindowRgn(hWnd, NULL, FALSE);

    // A status bar drawn into a frame whose border is wider than 3: rounded bottom.
    frame.m_nStatus = 22;
    hRgn = m_pTheme->CalcFrameRegion(&frame, 300, 200);
    EXPECT_FALSE(::PtInRegion(hRgn, 0, 199));
    EXPECT_FALSE(::PtInRegion(hRgn, 3, 199));
    EXPECT_TRUE(::PtInRegion(hRgn, 4, 199));
    EXPECT_TRUE(::PtInRegion(hRgn, 1, 196));
    ::DeleteObject(hRgn);
    frame.m_nBorder = 3;
    hRgn = m_pTheme->CalcFrameRegion(&frame, 300, 200);
    EXPECT_TRUE(::PtInRegion(hRgn, 0, 199)) << "border of 3: square bottom";
    ::DeleteObject(hRgn);

    // A frame too small for its corners: only the rectangles that are not
    // empty, nothing outside the frame.
    frame.m_nBorder = 4;
    for (CSize sz : { CSize(6, 5), CSize(3, 2), CSize(0, 0) })
    {
        hRgn = m_pTheme->CalcFrameRegion(&frame, sz.cx, sz.cy);
        if (hRgn != NULL)
        {
            CRect rcBox;
            ::GetRgnBox(hRgn, &rcBox);
            EXPECT_TRUE(rcBox.IsRectEmpty() || CRect(0, 0, sz.cx, sz.cy).PtInRect(rcBox.TopLeft()));
            EXPECT_LE(rcBox.right, sz.cx);
            EXPECT_LE(rcBox.bottom, sz.cy);
            ::DeleteObject(hRgn);
        }
    }
    EXPECT_EQ((HRGN)NULL, m_pTheme->CalcFrameRegion(&frame, 0, 0));

    ::ShowWindow(hWnd, SW_SHOWMAXIMIZED);
    EXPECT_EQ((HRGN)NULL, m_pTheme->CalcFrameRegion(&frame, 300, 200));
    ::DestroyWindow(hWnd);
}

TEST_F(Office2007Test, FrameDrawsBordersCaptionPicturesButtonsAndTitle)
{
    CFrameWnd* pFrame = new CFrameWnd();
    ASSERT_TRUE(pFrame->Create(NULL, _T("Puzzle 1 - Brindlemark"), WS_OVERLAPPEDWINDOW, CRect(0, 0, 320, 160)));
    pFrame->SetTitle(_T("Brindlemark"));
    CRect rcWindow, rcClient;
    pFrame->GetWindowRect(&rcWindow);
    pFrame->GetClientRect(&rcClient);
    pFrame->ClientToScreen(&rcClient);
    int B = rcClient.left - rcWindow.left;
    int W = rcWindow.Width(), H = rcWindow.Height();
    ASSERT_GT(B, 0);

    CXTPControls* pButtons = new CXTPControls();
    const int ids[] = { SC_MINIMIZE, SC_MAXIMIZE, SC_CLOSE };
    for (int i = 0; i < 3; i++)
    {
        CXTPControl* pButton = pButtons->Add(new CXTPControlButton(), ids[i]);
        pButton->SetRect(CRect(W - 80 + 25 * i, 6, W - 80 + 25 * i + 25, 27));
    }
    pButtons->GetAt(2)->m_nSelected = TRUE;

    TestFrameInfo frame;
    frame.m_hWnd = pFrame->GetSafeHwnd();
    frame.m_nCaption = 30;
    frame.m_nBorder = B;
    frame.m_pButtons = pButtons;

    Canvas canvas(W, H, RGB(9, 9, 9));
    m_pTheme->DrawFrame(canvas.DC(), &frame);
    testsupport::SaveSnapshot(canvas, "office2007_frame_active");

    // Borders: the outer column and the bottom line in the first active
    // colour, the next columns in the next colours.
    EXPECT_EQ(m_pTheme->m_clrFrameBorderActive[0], canvas.Pixel(0, 60));
    EXPECT_EQ(m_pTheme->m_clrFrameBorderActive[0], canvas.Pixel(W - 1, 60));
    if (B > 1)
    {
        EXPECT_EQ(m_pTheme->m_clrFrameBorderActive[1], canvas.Pixel(1, 60));
    }
    if (B > 2)
    {
        EXPECT_EQ(m_pTheme->m_clrFrameBorderActive[2], canvas.Pixel(W - 3, 60));
    }
    EXPECT_EQ(m_pTheme->m_clrFrameBorderActive[0], canvas.Pixel(W / 2, H - 1));
    EXPECT_EQ(RGB(9, 9, 9), canvas.Pixel(W / 2, 80)) << "the client area is not painted";

    // The caption: the centre picture, the hot close button's face, the title.
    CXTPOffice2007Image* pCenter = m_pTheme->LoadImage(_T("FRAMETOPCENTER"));
    ASSERT_NE(nullptr, pCenter);
    EXPECT_EQ(ImagePixel(pCenter, 3, 0), canvas.Pixel(W / 2, 0));
    CXTPOffice2007Image* pButtonFace = m_pTheme->LoadImage(_T("FRAMECAPTIONBUTTON"));
    EXPECT_EQ(ImagePixel(pButtonFace, 1, 10), canvas.Pixel(W - 80 + 50 + 1, 16));
    for (int x = W - 80; x < W - 5; x++)
        EXPECT_NE(RGB(255, 0, 255), canvas.Pixel(x, 8)) << "no key colour shows, at " << x;
    EXPECT_TRUE(HasColour(canvas, CRect(40, 6, W - 90, 27), m_pTheme->m_clrFrameCaptionTextActive) ||
                HasColour(canvas, CRect(40, 6, W - 90, 27), m_pTheme->m_clrFrameCaptionTextActiveTitle))
        << "the title is drawn between the icon and the buttons";

    // Inactive: the inactive picture part and border colours.
    frame.m_bActive = FALSE;
    canvas.Fill(RGB(9, 9, 9));
    m_pTheme->DrawFrame(canvas.DC(), &frame);
    EXPECT_EQ(m_pTheme->m_clrFrameBorderInactive[0], canvas.Pixel(0, 60));
    EXPECT_EQ(m_pTheme->m_clrFrameBorderInactive[0], canvas.Pixel(W / 2, H - 1));
    EXPECT_EQ(ImagePixel(pCenter, 3, pCenter->GetSource(1, 2).top), canvas.Pixel(W / 2, 0));
    testsupport::SaveSnapshot(canvas, "office2007_frame_inactive");

    // The ribbon draws the caption: only the side columns of the corner pictures.
    frame.m_bActive = TRUE;
    frame.m_bCaption = FALSE;
    canvas.Fill(RGB(9, 9, 9));
    m_pTheme->DrawFrame(canvas.DC(), &frame);
    EXPECT_EQ(RGB(9, 9, 9), canvas.Pixel(W / 2, 10));
    EXPECT_NE(RGB(9, 9, 9), canvas.Pixel(0, 10));

    pButtons->InternalRelease();
    pFrame->DestroyWindow();
}

TEST_F(Office2007Test, TitleAfterTheDocumentNameTakesTheTitleColour)
{
    CFrameWnd* pFrame = new CFrameWnd();
    ASSERT_TRUE(pFrame->Create(NULL, _T("Puzzle - Brindlemark"), WS_OVERLAPPEDWINDOW | 0x4000,
                               CRect(0, 0, 400, 100)));
    pFrame->SetTitle(_T("Brindlemark"));

    // Pure colours and a font without smoothing, so the text pixels are exact.
    LOGFONT lf = {};
    m_pTheme->GetCaptionFont()->GetLogFont(&lf);
    lf.lfQuality = NONANTIALIASED_QUALITY;
    m_pTheme->GetCaptionFont()->DeleteObject();
    m_pTheme->GetCaptionFont()->CreateFontIndirect(&lf);
    m_pTheme->m_clrFrameCaptionTextActive = RGB(255, 0, 0);
    m_pTheme->m_clrFrameCaptionTextActiveTitle = RGB(0, 160, 0);
    m_pTheme->m_clrFrameCaptionTextInActive = RGB(0, 0, 255);

    Canvas canvas(400, 30, RGB(255, 255, 255));
    CRect rcText(0, 0, 400, 30);
    m_pTheme->DrawCaptionText(canvas.DC(), rcText, pFrame, TRUE);
    CSize szDocument;
    {
        CXTPFontDC font(canvas.DC(), m_pTheme->GetCaptionFont());
        szDocument = canvas.DC()->GetTextExtent(_T("Puzzle - "));
    }
    EXPECT_TRUE(HasColour(canvas, CRect(0, 0, szDocument.cx, 30), RGB(255, 0, 0)));
    EXPECT_FALSE(HasColour(canvas, CRect(0, 0, szDocument.cx, 30), RGB(0, 160, 0)));
    EXPECT_TRUE(HasColour(canvas, CRect(szDocument.cx + 2, 0, 400, 30), RGB(0, 160, 0)));
    EXPECT_FALSE(HasColour(canvas, CRect(szDocument.cx + 2, 0, 400, 30), RGB(255, 0, 0)));

    // Inactive: both parts in the inactive colour.
    canvas.Fill(RGB(255, 255, 255));
    m_pTheme->DrawCaptionText(canvas.DC(), rcText, pFrame, FALSE);
    EXPECT_TRUE(HasColour(canvas, CRect(szDocument.cx + 2, 0, 400, 30), RGB(0, 0, 255)));
    EXPECT_FALSE(HasColour(canvas, CRect(0, 0, 400, 30), RGB(0, 160, 0)));

    // The title alone: an empty document part, the title in its colour.
    pFrame->SetWindowText(_T("Brindlemark"));
    canvas.Fill(RGB(255, 255, 255));
    m_pTheme->DrawCaptionText(canvas.DC(), rcText, pFrame, TRUE);
    EXPECT_TRUE(HasColour(canvas, CRect(0, 0, 400, 30), RGB(0, 160, 0)));
    EXPECT_FALSE(HasColour(canvas, CRect(0, 0, 400, 30), RGB(255, 0, 0)));

    // A text that does not end with the title, or no prefix-title style: one piece.
    pFrame->SetWindowText(_T("Something else"));
    canvas.Fill(RGB(255, 255, 255));
    m_pTheme->DrawCaptionText(canvas.DC(), rcText, pFrame, TRUE);
    EXPECT_FALSE(HasColour(canvas, CRect(0, 0, 400, 30), RGB(0, 160, 0)));
    pFrame->SetWindowText(_T("Puzzle - Brindlemark"));
    pFrame->ModifyStyle(0x4000, 0);
    canvas.Fill(RGB(255, 255, 255));
    m_pTheme->DrawCaptionText(canvas.DC(), rcText, pFrame, TRUE);
    EXPECT_FALSE(HasColour(canvas, CRect(0, 0, 400, 30), RGB(0, 160, 0)));

    pFrame->DestroyWindow();
}

TEST_F(Office2007Test, FrameIconsOfToolWindowsAndWindowsWithoutSystemMenu)
{
    HWND hTool = ::CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "", WS_OVERLAPPEDWINDOW, 0, 0, 50, 50, NULL, NULL,
                                   NULL, NULL);
    HWND hPlain = ::CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_CAPTION, 0, 0, 50, 50, NULL, NULL, NULL, NULL);
    HWND hNormal = ::CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW, 0, 0, 50, 50, NULL, NULL, NULL, NULL);
    EXPECT_EQ((HICON)NULL, CXTPOffice2007Theme::GetFrameSmallIcon(CWnd::FromHandle(hTool)));
    EXPECT_EQ((HICON)NULL, CXTPOffice2007Theme::GetFrameSmallIcon(CWnd::FromHandle(hPlain)));
    HICON hIcon = ::LoadIcon(NULL, IDI_QUESTION);
    ::SendMessage(hNormal, WM_SETICON, ICON_SMALL, (LPARAM)hIcon);
    EXPECT_EQ(hIcon, CXTPOffice2007Theme::GetFrameSmallIcon(CWnd::FromHandle(hNormal)));
    ::SendMessage(hNormal, WM_SETICON, ICON_BIG, (LPARAM)hIcon);
    EXPECT_EQ(hIcon, CXTPOffice2007Theme::GetFrameLargeIcon(CWnd::FromHandle(hNormal)));
    EXPECT_EQ((HICON)NULL, CXTPOffice2007Theme::GetFrameSmallIcon(NULL));
    for (HWND hWnd : { hTool, hPlain, hNormal })
        ::DestroyWindow(hWnd);
}

// ---------------------------------------------------------------------------
// An empty store: no colours, no pictures, no crash.

TEST_F(Office2007Test, EmptyStoreGivesNoColoursAndDrawsNoPictures)
{
    CXTPOffice2007ImageStore empty;
    ASSERT_FALSE(empty.LoadTheme(NULL));
    m_pTheme->SetImages(&empty);
    m_pTheme->RefreshMetrics();

    EXPECT_EQ(COLORREF_NULL, m_pTheme->m_clrMenuBarText);
    EXPECT_EQ(COLORREF_NULL, m_pTheme->m_clrStatusBarShadow);
    EXPECT_EQ(COLORREF_NULL, m_pTheme->m_clrFrameBorderActive[0]);
    EXPECT_EQ(COLORREF_NULL, m_pTheme->m_clrWorkspaceClientTop);
    EXPECT_EQ(COLORREF_NULL, m_pTheme->GetColor(43));
    EXPECT_EQ(COLORREF_NULL, m_pTheme->m_clrDockBar.clrLight.GetColor());
    EXPECT_EQ(nullptr, m_pTheme->LoadImage(_T("FRAMETOPLEFT")));

    Canvas canvas(300, 200, RGB(9, 9, 9));
    m_pTheme->DrawFrameCaptionButton(canvas.DC(), CRect(0, 0, 25, 21), SC_CLOSE, TRUE, TRUE, TRUE);
    EXPECT_EQ(RGB(9, 9, 9), canvas.Pixel(12, 10)) << "no face, no glyph";
    m_pTheme->FillWorkspace(canvas.DC(), CRect(0, 0, 300, 200), CRect(0, 0, 0, 0));

    HWND hWnd = ::CreateWindowExA(0, "STATIC", "frame", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, NULL, NULL, NULL, NULL);
    TestFrameInfo frame;
    frame.m_hWnd = hWnd;
    frame.m_nStatus = 22;
    canvas.Fill(RGB(9, 9, 9));
    m_pTheme->DrawFrame(canvas.DC(), &frame);
    ::DestroyWindow(hWnd);

    // The whole bar set draws too.
    EXPECT_TRUE(testsupport::SaveSceneSnapshot("office2007_empty_store"));
    m_pTheme->SetImages(XTPOffice2007ImageStore());
}

// ---------------------------------------------------------------------------
// Every control, every state; the look.

TEST_F(Office2007Test, DrawsEveryControlWithoutLeakingGdiObjects)
{
    std::pair<DWORD, DWORD> highWater = testsupport::GdiHighWaterAroundThousandDraws();
    EXPECT_EQ(highWater.first, highWater.second);

    // The frame, the status bar and the workspace from the pictures too.
    HWND hWnd = ::CreateWindowExA(0, "STATIC", "frame", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, NULL, NULL, NULL, NULL);
    TestFrameInfo frame;
    frame.m_hWnd = hWnd;
    Canvas canvas(300, 200);
    auto drawFrames = [&](int nCount) {
        for (int i = 0; i < nCount; i++)
        {
            frame.m_bActive = i % 2;
            frame.m_nStatus = i % 3 == 0 ? 22 : 0;
            m_pTheme->DrawFrame(canvas.DC(), &frame);
            ::DeleteObject(m_pTheme->CalcFrameRegion(&frame, 300, 200));
            m_pTheme->FillWorkspace(canvas.DC(), CRect(0, 0, 300, 200), CRect(10, 10, 20, 20));
        }
    };
    // Every state once first: the pictures keep the keyed parts they draw.
    drawFrames(6);
    DWORD dwBefore = testsupport::GdiHighWater();
    drawFrames(100);
    EXPECT_EQ(dwBefore, testsupport::GdiHighWater());
    ::DestroyWindow(hWnd);
}

TEST_F(Office2007Test, LooksLikeABarSetInTheLightBlueLook)
{
    EXPECT_TRUE(testsupport::SaveSceneSnapshot("office2007"));
    EXPECT_TRUE(testsupport::SaveSceneSnapshot("office2007_32bpp", 32));

    // The bar set inside a frame drawn by the theme, with its caption and
    // buttons, inside the frame's window region.
    CFrameWnd* pFrame = new CFrameWnd();
    ASSERT_TRUE(pFrame->Create(NULL, _T("Puzzle 7 - Brindlemark"), WS_OVERLAPPEDWINDOW, CRect(0, 0, 400, 300)));
    CRect rcWindow, rcClient;
    pFrame->GetWindowRect(&rcWindow);
    pFrame->GetClientRect(&rcClient);
    pFrame->ClientToScreen(&rcClient);
    int B = rcClient.left - rcWindow.left, Bb = rcWindow.bottom - rcClient.bottom, C = 30;
    int W = testsupport::ThemeScene::kWidth + 2 * B, H = C + testsupport::ThemeScene::kHeight + Bb;
    pFrame->SetWindowPos(NULL, 0, 0, W, H, SWP_NOZORDER | SWP_NOACTIVATE);

    CXTPControls* pButtons = new CXTPControls();
    const int ids[] = { SC_MINIMIZE, SC_MAXIMIZE, SC_CLOSE };
    for (int i = 0; i < 3; i++)
        pButtons->Add(new CXTPControlButton(), ids[i])->SetRect(CRect(W - 85 + 26 * i, 5, W - 85 + 26 * i + 25, 26));
    TestFrameInfo frame;
    frame.m_hWnd = pFrame->GetSafeHwnd();
    frame.m_nCaption = C;
    frame.m_nBorder = B;
    frame.m_pButtons = pButtons;

    Canvas canvas(W, H, RGB(255, 255, 255));
    m_pTheme->DrawFrame(canvas.DC(), &frame);
    {
        testsupport::ThemeScene scene;
        scene.Layout(canvas.DC());
        CPoint ptOld = canvas.DC()->OffsetViewportOrg(B, C);
        scene.Paint(canvas.DC());
        canvas.DC()->SetViewportOrg(ptOld);
    }
    HRGN hRgn = m_pTheme->CalcFrameRegion(&frame, W, H);
    for (int y = 0; y < H; y++)
        for (int x = 0; x < W; x++)
            if (!::PtInRegion(hRgn, x, y))
                ::SetPixel(canvas.Handle(), x, y, RGB(255, 255, 255));
    ::DeleteObject(hRgn);
    EXPECT_FALSE(testsupport::SaveSnapshot(canvas, "office2007_frame_with_bars").empty());
    pButtons->InternalRelease();
    pFrame->DestroyWindow();
}

TEST(Office2007FactoryTest, ThemeFiveIsTheOffice2007Theme)
{
    CXTPPaintManager::SetTheme(xtpThemeOffice2007);
    EXPECT_EQ(xtpThemeOffice2007, XTPPaintManager()->BaseTheme());
    EXPECT_EQ(xtpThemeOffice2007, XTPPaintManager()->GetCurrentTheme());
    CXTPOffice2007Theme* pTheme = static_cast<CXTPOffice2007Theme*>(XTPPaintManager());
    EXPECT_EQ(XTPOffice2007ImageStore(), pTheme->GetImages()) << "the shared store";
    EXPECT_NE(COLORREF_NULL, pTheme->m_clrMenuBarText) << "refreshed from the program's theme text";
    CXTPPaintManager::SetTheme(xtpThemeDefault);
}
