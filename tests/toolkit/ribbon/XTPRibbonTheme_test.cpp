// The ribbon theme: theme 6 of the factory, colours from the theme store
// with a sound fallback for a missing key, drawing that survives a store
// without pictures, the tab paint manager it makes, and a snapshot of the
// ribbon drawn both ways; every control kind on a ribbon and in its popups
// drawn from the theme's pictures in each of its states. A popup is opened
// and the screen read.
// ctest: run-serial
#include "ribbon_testframe.h"

#include <algorithm>
#include <memory>
#include <string>

#include "XTPCommandBarKeyboardTip.h"
#include "XTPControlComboBox.h"
#include "XTPControlEdit.h"
#include "XTPDCHelpers.h"
#include "XTPDrawHelpers.h"
#include "XTPOffice2007Image.h"
#include "XTPPopupBar.h"
#include "XTPRibbonControls.h"
#include "XTPRibbonFrameManager.h"
#include "XTPRibbonGroups.h"
#include "XTPStatusBar.h"
#include "resource.h"
#include "support/canvas.h"
#include "support/snapshot.h"
#include "support/themescene.h"

using namespace ribbontest;

namespace
{
class RibbonThemeTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_nLive = LiveObjects();
        m_pFrame = new CRibbonFrame();
        ASSERT_TRUE(m_pFrame->CreateRibbonFrame(CRect(20, 20, 720, 420), TRUE));
        m_pRibbon = m_pFrame->GetRibbon();
        m_pFrame->BuildSample();
    }
    void TearDown() override
    {
        m_pFrame->GetTheme()->SetImages(XTPOffice2007ImageStore());
        m_pFrame->DestroyRibbonFrame();
        PumpAndIdle();
        EXPECT_EQ(m_nLive, LiveObjects());
    }
    // The ribbon drawn into a picture of its client size.
    void Paint(testsupport::Canvas& canvas)
    {
        CRect rc(0, 0, canvas.Width(), canvas.Height());
        m_pRibbon->DrawCommandBar(CDC::FromHandle(canvas.Handle()), rc);
    }
    CSize ClientSize() const
    {
        CRect rc;
        m_pRibbon->GetClientRect(&rc);
        return rc.Size();
    }
    CRibbonFrame* m_pFrame = NULL;
    CXTPRibbonBar* m_pRibbon = NULL;
    LONG m_nLive = 0;
};
} // namespace

TEST_F(RibbonThemeTest, ThemeSixIsTheRibbonThemeAndEachIdHasItsOwnClass)
{
    CXTPPaintManager* pThemes[7];
    for (int i = 0; i < 7; i++)
        pThemes[i] = CXTPPaintManager::CreateTheme(i);
    EXPECT_TRUE(dynamic_cast<CXTPRibbonTheme*>(pThemes[6]) != NULL);
    EXPECT_EQ(6, pThemes[6]->BaseTheme());
    EXPECT_TRUE(dynamic_cast<CXTPRibbonTheme*>(pThemes[5]) == NULL);
    EXPECT_TRUE(dynamic_cast<CXTPOffice2007Theme*>(pThemes[5]) != NULL);
    for (int i = 0; i < 7; i++)
    {
        for (int j = i + 1; j < 7; j++)
        {
            EXPECT_STRNE(typeid(*pThemes[i]).name(), typeid(*pThemes[j]).name()) << i << " " << j;
        }
    }
    for (int i = 0; i < 7; i++)
        pThemes[i]->InternalRelease();
}

TEST_F(RibbonThemeTest, ColoursComeFromTheStoreAndAMissingKeyGivesNoColour)
{
    CXTPRibbonTheme* pTheme = m_pFrame->GetTheme();
    COLORREF clrStored = pTheme->GetImageColor(_T("Ribbon"), _T("RibbonFace"));
    ASSERT_NE((COLORREF)-1, clrStored);
    EXPECT_EQ(clrStored, pTheme->m_clrRibbonFace);
    EXPECT_EQ((COLORREF)-1, pTheme->GetImageColor(_T("Ribbon"), _T("NoSuchKey")));
    EXPECT_EQ((COLORREF)-1, pTheme->RibbonColor(_T("NoSuchKey")));

    // A store without the theme text: every ribbon colour is -1 (no colour),
    // not a colour made up in its place.
    CXTPOffice2007ImageStore empty;
    pTheme->SetImages(&empty);
    pTheme->RefreshMetrics();
    const COLORREF colours[] = { pTheme->m_clrRibbonFace, pTheme->m_clrRibbonText, pTheme->m_clrGroupCaptionText,
                                 pTheme->m_clrControlEditNormal, pTheme->m_clrMinimizedFrameEdgeHighLight,
                                 pTheme->m_clrMinimizedFrameEdgeShadow, pTheme->m_clrTabNormalText };
    for (COLORREF clr : colours)
        EXPECT_EQ((COLORREF)-1, clr);
    pTheme->SetImages(XTPOffice2007ImageStore());
    pTheme->RefreshMetrics();
    EXPECT_EQ(clrStored, pTheme->m_clrRibbonFace);
}

// Without its pictures and colours the theme skips what it would draw from
// them: the ribbon's pixels stay as they were (no colours are made up),
// and nothing fails.
TEST_F(RibbonThemeTest, WithoutPicturesTheRibbonsElementsAreSkipped)
{
    CXTPRibbonTheme* pTheme = m_pFrame->GetTheme();
    CSize sz = ClientSize();
    testsupport::Canvas withPictures(sz.cx, sz.cy);
    Paint(withPictures);
    EXPECT_FALSE(testsupport::SaveSnapshot(withPictures, "ribbon_theme_pictures").empty());

    CXTPOffice2007ImageStore empty;
    pTheme->SetImages(&empty);
    pTheme->RefreshMetrics();
    EXPECT_EQ(NULL, pTheme->LoadImage(_T("RIBBONTAB")));
    const COLORREF clrBack = RGB(255, 0, 255);
    testsupport::Canvas without(sz.cx, sz.cy);
    without.Fill(clrBack);
    Paint(without);
    EXPECT_FALSE(testsupport::SaveSnapshot(without, "ribbon_theme_without_pictures").empty());
    // The groups area, a group's face and caption band, the selected tab and
    // the caption are not drawn.
    CRect rcGroups = m_pRibbon->GetGroupsRect();
    CRect rcGroup = m_pRibbon->GetTab(0)->GetGroups()->GetAt(0)->GetRect();
    CRect rcTab = m_pRibbon->GetTab(0)->GetRect();
    const CPoint points[] = { CPoint(rcGroups.right - 3, rcGroups.top + 2), CPoint(rcGroup.left + 1, rcGroup.top + 1),
                              CPoint(rcGroup.left + 1, rcGroup.bottom - 2), CPoint(rcTab.left + 2, rcTab.top + 2),
                              CPoint(m_pRibbon->GetCaptionRect().right - 5, m_pRibbon->GetCaptionRect().top + 2) };
    for (const CPoint& pt : points)
        EXPECT_EQ(clrBack, without.Pixel(pt.x, pt.y)) << "drawn at (" << pt.x << ", " << pt.y << ")";
    pTheme->SetImages(XTPOffice2007ImageStore());
    pTheme->RefreshMetrics();
}

TEST_F(RibbonThemeTest, TheTabPaintManagerIsSetUpForTheRibbon)
{
    CXTPTabPaintManager* pTabs = m_pFrame->GetTheme()->GetTabPaintManager();
    ASSERT_TRUE(pTabs != NULL);
    EXPECT_TRUE(dynamic_cast<CXTPRibbonTheme::CRibbonAppearanceSet*>(pTabs->GetAppearanceSet()) != NULL);
    EXPECT_TRUE(dynamic_cast<CXTPRibbonTheme::CRibbonColorSet*>(pTabs->GetColorSet()) != NULL);
    EXPECT_EQ(xtpTabLayoutSizeToFit, pTabs->GetLayout());
    EXPECT_TRUE(pTabs->m_bHotTracking);
    EXPECT_FALSE(pTabs->m_bDrawFocusRect);
    EXPECT_FALSE(pTabs->m_bFillBackground);
    EXPECT_EQ(21, pTabs->m_nButtonExtraLength);
    EXPECT_EQ(CRect(0, 2, 0, 2), pTabs->m_rcButtonMargin);
    // Tabs are as high as the theme's tab height + 1.
    EXPECT_EQ(m_pFrame->GetTheme()->GetTabHeight() + 1,
              pTabs->GetAppearanceSet()->GetButtonHeight(m_pRibbon->GetControlTab()));
    // The tab text colours come from the store.
    EXPECT_EQ(m_pFrame->GetTheme()->m_clrTabNormalText, (COLORREF)pTabs->GetColorSet()->m_clrTextNormal);
}

TEST_F(RibbonThemeTest, KeyedNineGridPartsBlendOntoThirtyTwoBitPictures)
{
    // The system button's picture has a magenta key around its round face.
    CXTPOffice2007Image* pImage = m_pFrame->GetTheme()->LoadImage(_T("FRAMESYSTEMBUTTON"));
    ASSERT_TRUE(pImage != NULL);
    const COLORREF clrBack = RGB(0, 128, 0);
    const COLORREF clrKey = RGB(255, 0, 255);
    CRect rc(0, 0, 60, 60);
    // Through TransparentBlt, then through the buffered AlphaBlend path.
    testsupport::Canvas keyed(60, 60, clrBack, 32);
    pImage->DrawImageTransparent(CDC::FromHandle(keyed.Handle()), rc, pImage->GetSource(0, 3), CRect(0, 0, 0, 0),
                                 clrKey);
    testsupport::Canvas blended(60, 60, clrBack, 32);
    pImage->DrawImageBuffered(CDC::FromHandle(blended.Handle()), rc, pImage->GetSource(0, 3), CRect(0, 0, 0, 0),
                              clrKey, 1);
    int nBack = 0, nFace = 0;
    for (int y = 0; y < 60; y++)
    {
        for (int x = 0; x < 60; x++)
        {
            COLORREF clr = keyed.Pixel(x, y);
            ASSERT_NE(clrKey, clr) << x << "," << y;
            ASSERT_NE(clrKey, blended.Pixel(x, y)) << x << "," << y;
            // Both ways leave the same pixels: no black where the key was.
            ASSERT_EQ(clr, blended.Pixel(x, y)) << x << "," << y;
            (clr == clrBack ? nBack : nFace)++;
        }
    }
    // The corners show through, the face is drawn.
    EXPECT_EQ(clrBack, keyed.Pixel(0, 0));
    EXPECT_GT(nBack, 100);
    EXPECT_GT(nFace, 60 * 60 / 2);
}

TEST_F(RibbonThemeTest, TheFaceIsSegoeUIWhenInstalledElseTheMenuFont)
{
    CXTPRibbonTheme* pTheme = m_pFrame->GetTheme();
    NONCLIENTMETRICS ncm;
    ZeroMemory(&ncm, sizeof(ncm));
    ncm.cbSize = sizeof(ncm);
    ASSERT_TRUE(::SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0));
    auto face = [pTheme]() {
        LOGFONT lf;
        pTheme->GetGroupCaptionFont()->GetLogFont(&lf);
        return CString(lf.lfFaceName);
    };
    // The face flag is set by the theme.
    EXPECT_TRUE(pTheme->m_bUseOfficeFont);
    CString strExpected = CXTPPaintManager::FontExists(_T("Segoe UI")) ? CString(_T("Segoe UI"))
                                                                       : CString(ncm.lfMenuFont.lfFaceName);
    EXPECT_EQ(strExpected, face());
    // Without the flag the system's menu face is taken.
    pTheme->m_bUseOfficeFont = FALSE;
    pTheme->RefreshMetrics();
    EXPECT_EQ(CString(ncm.lfMenuFont.lfFaceName), face());
    pTheme->m_bUseOfficeFont = TRUE;
    pTheme->RefreshMetrics();
    EXPECT_EQ(strExpected, face());
}

// ---------------------------------------------------------------------------
// Every control kind on a ribbon and in its popups, drawn from the theme's
// pictures.


namespace
{
// Whether the pixels of rcProbe are those of a picture part drawn over the
// same picture at rcPart (the theme drew that part, in that state, there).
::testing::AssertionResult DrawnFrom(testsupport::Canvas& canvas, CXTPRibbonTheme* pTheme, LPCTSTR lpszPart,
                                     int nState, int nCount, CRect rcMargins, BOOL bTransparent, CRect rcPart,
                                     CRect rcProbe)
{
    testsupport::Canvas reference(canvas.Width(), canvas.Height());
    ::BitBlt(reference.Handle(), 0, 0, canvas.Width(), canvas.Height(), canvas.Handle(), 0, 0, SRCCOPY);
    if (!pTheme->DrawPart(reference.DC(), lpszPart, rcPart, nState, nCount, rcMargins, bTransparent))
        return ::testing::AssertionFailure() << "the store lacks " << lpszPart;
    int nSame = 0;
    for (int y = rcProbe.top; y < rcProbe.bottom; y++)
    {
        for (int x = rcProbe.left; x < rcProbe.right; x++)
        {
            if (reference.Pixel(x, y) != canvas.Pixel(x, y))
                return ::testing::AssertionFailure()
                       << lpszPart << " state " << nState << " differs at " << x << "," << y << ": drawn 0x" << std::hex
                       << canvas.Pixel(x, y) << ", picture 0x" << reference.Pixel(x, y);
            nSame++;
        }
    }
    if (nSame == 0)
        return ::testing::AssertionFailure() << "nothing to compare";
    return ::testing::AssertionSuccess();
}

// Whether any pixel of a rectangle has the colour.
bool HasColourIn(const testsupport::Canvas& canvas, CRect rc, COLORREF clr)
{
    rc.IntersectRect(rc, CRect(0, 0, canvas.Width(), canvas.Height()));
    for (int y = rc.top; y < rc.bottom; y++)
        for (int x = rc.left; x < rc.right; x++)
            if (canvas.Pixel(x, y) == clr)
                return true;
    return false;
}

// Whether two colours differ by at most a few steps per channel.
bool Near(COLORREF a, COLORREF b, int nTolerance)
{
    return abs(GetRValue(a) - GetRValue(b)) <= nTolerance && abs(GetGValue(a) - GetGValue(b)) <= nTolerance &&
           abs(GetBValue(a) - GetBValue(b)) <= nTolerance;
}

// The left two columns of a rectangle, inside its top and bottom three rows.
CRect LeftStrip(CRect rc)
{
    return CRect(rc.left, rc.top + 3, rc.left + 2, rc.bottom - 3);
}

CRect RightStrip(CRect rc)
{
    return CRect(rc.right - 2, rc.top + 3, rc.right, rc.bottom - 3);
}

// A control's look: hot, pressed, checked, open, enabled.
struct ControlState
{
    const char* pszName;
    int nSelected;
    int nPressed;
    int nChecked;
    BOOL bPopuped;
    BOOL bEnabled;
};

const ControlState kStates[] = {
    { "normal", 0, 0, 0, FALSE, TRUE },   { "hot", 1, 0, 0, FALSE, TRUE },     { "pressed", 1, 1, 0, FALSE, TRUE },
    { "checked", 0, 0, 1, FALSE, TRUE },  { "hot checked", 1, 0, 1, FALSE, TRUE },
    { "open", 1, 0, 0, TRUE, TRUE },      { "disabled", 0, 0, 0, FALSE, FALSE },
};

class RibbonControlsLookTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_nLive = LiveObjects();
        m_pFrame = new CRibbonFrame();
        ASSERT_TRUE(m_pFrame->CreateRibbonFrame(CRect(60, 50, 960, 470), TRUE));
        m_pRibbon = m_pFrame->GetRibbon();
        m_pTheme = m_pFrame->GetTheme();
        m_pFrame->BuildSample();
        BuildControlsTab();
        m_pStatus = new CXTPStatusBar();
        ASSERT_TRUE(m_pStatus->Create(m_pFrame));
        m_pStatus->SetCommandBars(m_pFrame->GetCommandBars());
        m_pStatus->SetDrawWithPaintManager(TRUE);
        CXTPStatusBarPane* pMessage = m_pStatus->AddIndicator(0);
        pMessage->SetText(_T("Ready"));
        m_pStatus->SetPaneStyle(0, m_pStatus->GetPaneStyle(0) | XTP_SBPS_STRETCH);
        m_pStatus->AddIndicator(2040)->SetText(_T("Moves: 12"));
        m_pStatus->AddIndicator(2041)->SetText(_T("00:42"));
        m_pRibbon->SetCurSel(m_pTab->GetIndex());
        m_pFrame->Settle();
    }
    void TearDown() override
    {
        XTPMouseManager()->CloseAllTracked();
        m_pFrame->DestroyRibbonFrame();
        delete m_pStatus;
        PumpAndIdle();
        EXPECT_EQ(m_nLive, LiveObjects());
    }

    static CXTPControl* Item(CXTPCommandBar* pBar, XTPControlType type, int nId, LPCTSTR lpszCaption)
    {
        CXTPControl* pControl = pBar->GetControls()->Add(type, nId);
        pControl->SetCaption(lpszCaption);
        return pControl;
    }

    void BuildControlsTab()
    {
        m_pTab = m_pRibbon->AddTab(_T("&Controls"), 6);
        CXTPRibbonGroup* pClipboard = m_pTab->AddGroup(_T("Clipboard"), 70);
        m_pPaste = DYNAMIC_DOWNCAST(CXTPControlPopup,
                                    pClipboard->Add(xtpControlSplitButtonPopup, ID_NEW_PUZZLE, _T("Paste")));
        ASSERT_TRUE(m_pPaste != NULL);
        m_pPaste->SetStyle(xtpButtonIconAndCaptionBelow);
        m_pMenu = CXTPPopupBar::CreatePopupBar(m_pFrame->GetCommandBars());
        Item(m_pMenu, xtpControlButton, 2010, _T("Paste &Values"));
        Item(m_pMenu, xtpControlButton, 2011, _T("Paste &Formats"))->SetChecked(TRUE);
        CXTPControl* pDisabled = Item(m_pMenu, xtpControlButton, 2012, _T("Paste &Link"));
        pDisabled->SetFlags(pDisabled->GetFlags() | xtpFlagManualUpdate);
        pDisabled->SetEnabled(FALSE);
        Item(m_pMenu, xtpControlLabel, 2013, _T("Special"))->SetBeginGroup(TRUE);
        CXTPControlPopup* pSub = DYNAMIC_DOWNCAST(CXTPControlPopup, Item(m_pMenu, xtpControlPopup, 2014, _T("Paste &As")));
        CXTPPopupBar* pSubMenu = CXTPPopupBar::CreatePopupBar(m_pFrame->GetCommandBars());
        Item(pSubMenu, xtpControlButton, 2016, _T("Text"));
        pSub->SetCommandBar(pSubMenu);
        pSubMenu->InternalRelease();
        Item(m_pMenu, xtpControlSplitButtonPopup, 2015, _T("Paste &Again"))->SetBeginGroup(TRUE);
        m_pPaste->SetCommandBar(m_pMenu);
        m_pMenu->InternalRelease();

        m_pUndo = DYNAMIC_DOWNCAST(CXTPControlPopup,
                                   pClipboard->Add(xtpControlSplitButtonPopup, ID_UNDO_MOVE, _T("Undo")));
        m_pUndo->SetStyle(xtpButtonIconAndCaption);
        CXTPPopupBar* pUndoMenu = CXTPPopupBar::CreatePopupBar(m_pFrame->GetCommandBars());
        Item(pUndoMenu, xtpControlButton, 2017, _T("Undo All"));
        m_pUndo->SetCommandBar(pUndoMenu);
        pUndoMenu->InternalRelease();
        pClipboard->Add(xtpControlButton, ID_SAVE_PUZZLE, _T("Save"))->SetStyle(xtpButtonIconAndCaption);

        // Three buttons that belong together.
        CXTPRibbonGroup* pBranch = m_pTab->AddGroup(_T("Branch"), 71);
        const UINT ids[3] = { ID_BRANCH_BEGIN, ID_BRANCH_ACCEPT, ID_BRANCH_REVERT };
        for (int i = 0; i < 3; i++)
        {
            m_pGrouped[i] = pBranch->Add(xtpControlButton, ids[i], _T("Branch"));
            m_pGrouped[i]->SetStyle(xtpButtonIcon);
        }
        m_pGrouped[0]->SetBeginGroup(TRUE);

        CXTPRibbonGroup* pFields = m_pTab->AddGroup(_T("Fields"), 72);
        m_pCombo = DYNAMIC_DOWNCAST(CXTPControlComboBox, pFields->Add(xtpControlComboBox, 2020, _T("Zoom")));
        ASSERT_TRUE(m_pCombo != NULL);
        m_pCombo->AddString(_T("100%"));
        m_pCombo->AddString(_T("200%"));
        m_pCombo->SetCurSel(0);
        m_pCombo->SetWidth(130);
        m_pEdit = DYNAMIC_DOWNCAST(CXTPControlEdit, pFields->Add(xtpControlEdit, 2021, _T("Size")));
        ASSERT_TRUE(m_pEdit != NULL);
        m_pEdit->ShowSpinButtons(TRUE);
        m_pEdit->SetEditText(_T("12"));
        m_pEdit->SetWidth(130);

        CXTPRibbonGroup* pOptions = m_pTab->AddGroup(_T("Options"), 73);
        m_pCheck = pOptions->Add(xtpControlCheckBox, 2022, _T("Grid"));
        pOptions->Add(xtpControlCheckBox, 2023, _T("Hints"))->SetChecked(TRUE);
        m_pRadio = pOptions->Add(xtpControlRadioButton, 2024, _T("Easy"));
        pOptions->Add(xtpControlRadioButton, 2025, _T("Hard"))->SetChecked(TRUE);
    }

    static void Apply(CXTPControl* pControl, const ControlState& state)
    {
        pControl->m_nSelected = state.nSelected;
        pControl->m_nPressed = state.nPressed;
        pControl->m_bChecked = state.nChecked;
        pControl->m_bEnabled = state.bEnabled;
        CXTPControlPopup* pPopup = dynamic_cast<CXTPControlPopup*>(pControl);
        if (pPopup != NULL)
            pPopup->m_bPopup = state.bPopuped;
    }
    void ApplyAll(const ControlState& state)
    {
        CXTPControl* controls[] = { m_pPaste, m_pUndo, m_pGrouped[1], m_pCombo, m_pEdit, m_pCheck, m_pRadio };
        for (CXTPControl* pControl : controls)
            Apply(pControl, state);
    }
    void Paint(testsupport::Canvas& canvas)
    {
        CRect rc;
        m_pRibbon->GetClientRect(&rc);
        m_pRibbon->DrawCommandBar(canvas.DC(), rc);
    }
    testsupport::Canvas* NewRibbonCanvas()
    {
        CRect rc;
        m_pRibbon->GetClientRect(&rc);
        return new testsupport::Canvas(rc.Width(), rc.Height());
    }

    CRibbonFrame* m_pFrame = NULL;
    CXTPRibbonBar* m_pRibbon = NULL;
    CXTPRibbonTheme* m_pTheme = NULL;
    CXTPStatusBar* m_pStatus = NULL;
    CXTPRibbonTab* m_pTab = NULL;
    CXTPControlPopup* m_pPaste = NULL;
    CXTPControlPopup* m_pUndo = NULL;
    CXTPPopupBar* m_pMenu = NULL;
    CXTPControl* m_pGrouped[3] = {};
    CXTPControlComboBox* m_pCombo = NULL;
    CXTPControlEdit* m_pEdit = NULL;
    CXTPControl* m_pCheck = NULL;
    CXTPControl* m_pRadio = NULL;
    LONG m_nLive = 0;
};
} // namespace

TEST_F(RibbonControlsLookTest, EachControlKindInEachStateIsDrawnFromItsPictures)
{
    CRect rcGroups = m_pRibbon->GetGroupsRect();
    const int nStates = (int)(sizeof(kStates) / sizeof(kStates[0]));
    testsupport::Canvas sheet(rcGroups.Width(), rcGroups.Height() * nStates);
    COLORREF clrSplitProbe[nStates];
    for (int s = 0; s < nStates; s++)
    {
        SCOPED_TRACE(kStates[s].pszName);
        ApplyAll(kStates[s]);
        std::unique_ptr<testsupport::Canvas> canvas(NewRibbonCanvas());
        Paint(*canvas);
        ::BitBlt(sheet.Handle(), 0, rcGroups.Height() * s, rcGroups.Width(), rcGroups.Height(), canvas->Handle(),
                 rcGroups.left, rcGroups.top, SRCCOPY);
        CRect rcPaste = m_pPaste->GetRect();
        clrSplitProbe[s] = canvas->Pixel(rcPaste.left + 1, rcPaste.top + 10);

        // The small split button of the group: the whole special split pair.
        CRect rcUndo = m_pUndo->GetRect();
        CRect rcUndoDrop(rcUndo.right - m_pTheme->GetSplitDropDownWidth(), rcUndo.top, rcUndo.right, rcUndo.bottom);
        CRect rcUndoCommand(rcUndo.left, rcUndo.top, rcUndoDrop.left, rcUndo.bottom);
        // The combo box's button and the spin buttons.
        CRect rcCombo = m_pCombo->GetRect();
        CRect rcComboButton(rcCombo.right - m_pCombo->GetThumbWidth() + 1, rcCombo.top + 1, rcCombo.right - 1,
                            rcCombo.bottom - 1);
        rcComboButton.left = std::min((int)rcComboButton.left,
                                      (int)rcComboButton.right - m_pTheme->LoadImage(_T("TOOLBARBUTTONSCOMBODROPDOWN"))->GetWidth());
        // Above the band with the arrow, which is laid over at its own height.
        CRect rcComboProbe(rcComboButton.left, rcComboButton.top + 1, rcComboButton.left + 2,
                           rcComboButton.CenterPoint().y - 3);
        CRect rcSpin = m_pEdit->GetSpinButtonsRect();
        CRect rcUp(rcSpin.left, rcSpin.top, rcSpin.right, rcSpin.CenterPoint().y);
        // The marks: 13 x 13, 3 pixels in, centred vertically.
        CRect rcCheck = m_pCheck->GetRect();
        CRect rcCheckMark(CPoint(rcCheck.left + 3, rcCheck.top + (rcCheck.Height() - 13) / 2), CSize(13, 13));
        CRect rcRadio = m_pRadio->GetRect();
        CRect rcRadioMark(CPoint(rcRadio.left + 3, rcRadio.top + (rcRadio.Height() - 13) / 2), CSize(13, 13));
        CRect rcGrouped = m_pGrouped[1]->GetRect();
        CRect rcMargins2(2, 2, 2, 2);

        switch (s)
        {
        case 0:     // normal
            EXPECT_TRUE(DrawnFrom(*canvas, m_pTheme, _T("TOOLBARBUTTONSCOMBODROPDOWN"), 0, 2, rcMargins2, FALSE,
                                  rcComboButton, rcComboProbe));
            EXPECT_TRUE(DrawnFrom(*canvas, m_pTheme, _T("TOOLBARBUTTONSPIN"), 0, 10, rcMargins2, FALSE, rcUp,
                                  CRect(rcUp.left, rcUp.top, rcUp.left + 3, rcUp.top + 2)));
            EXPECT_TRUE(DrawnFrom(*canvas, m_pTheme, _T("TOOLBARBUTTONCHECKBOX"), 0, 12, CRect(0, 0, 0, 0), TRUE,
                                  rcCheckMark, rcCheckMark));
            EXPECT_TRUE(DrawnFrom(*canvas, m_pTheme, _T("TOOLBARBUTTONRADIOBUTTON"), 0, 8, CRect(0, 0, 0, 0), TRUE,
                                  rcRadioMark, rcRadioMark));
            // Buttons that belong together show their shared frame at rest:
            // rounded at the run's ends, square between.
            EXPECT_TRUE(DrawnFrom(*canvas, m_pTheme, _T("TOOLBARBUTTONSSPECIALLEFT"), 0, 6, CRect(3, 3, 3, 3), TRUE,
                                  m_pGrouped[0]->GetRect(), LeftStrip(m_pGrouped[0]->GetRect())));
            EXPECT_TRUE(DrawnFrom(*canvas, m_pTheme, _T("TOOLBARBUTTONSSPECIALCENTER"), 0, 6, CRect(3, 3, 3, 3), TRUE,
                                  rcGrouped, LeftStrip(rcGrouped)));
            EXPECT_TRUE(DrawnFrom(*canvas, m_pTheme, _T("TOOLBARBUTTONSSPECIALRIGHT"), 0, 6, CRect(3, 3, 3, 3), TRUE,
                                  m_pGrouped[2]->GetRect(), RightStrip(m_pGrouped[2]->GetRect())));
            break;
        case 1:     // hot
            EXPECT_TRUE(DrawnFrom(*canvas, m_pTheme, _T("TOOLBARBUTTONSSPECIALSPLITLEFT"), 1, 6, rcMargins2, TRUE,
                                  rcUndoCommand, LeftStrip(rcUndoCommand)));
            EXPECT_TRUE(DrawnFrom(*canvas, m_pTheme, _T("TOOLBARBUTTONSSPECIALSPLITDROPDOWNRIGHT"), 1, 6, rcMargins2,
                                  TRUE, rcUndoDrop, RightStrip(rcUndoDrop)));
            EXPECT_TRUE(DrawnFrom(*canvas, m_pTheme, _T("TOOLBARBUTTONSSPLIT50"), 1, 6, rcMargins2, FALSE,
                                  CRect(rcPaste.left, rcPaste.top, rcPaste.right,
                                        rcPaste.bottom - (2 * m_pTheme->GetControlHeight() - 17)),
                                  LeftStrip(rcPaste)));
            EXPECT_TRUE(DrawnFrom(*canvas, m_pTheme, _T("TOOLBARBUTTONSCOMBODROPDOWN"), 1, 2, rcMargins2, FALSE,
                                  rcComboButton, rcComboProbe));
            EXPECT_TRUE(DrawnFrom(*canvas, m_pTheme, _T("TOOLBARBUTTONCHECKBOX"), 1, 12, CRect(0, 0, 0, 0), TRUE,
                                  rcCheckMark, rcCheckMark));
            EXPECT_TRUE(DrawnFrom(*canvas, m_pTheme, _T("TOOLBARBUTTONSSPECIALCENTER"), 1, 6, CRect(3, 3, 3, 3), TRUE,
                                  rcGrouped, LeftStrip(rcGrouped)));
            break;
        case 2:     // pressed
            EXPECT_TRUE(DrawnFrom(*canvas, m_pTheme, _T("TOOLBARBUTTONSSPECIALSPLITLEFT"), 2, 6, rcMargins2, TRUE,
                                  rcUndoCommand, LeftStrip(rcUndoCommand)));
            EXPECT_TRUE(DrawnFrom(*canvas, m_pTheme, _T("TOOLBARBUTTONCHECKBOX"), 2, 12, CRect(0, 0, 0, 0), TRUE,
                                  rcCheckMark, rcCheckMark));
            break;
        case 3:     // checked
            EXPECT_TRUE(DrawnFrom(*canvas, m_pTheme, _T("TOOLBARBUTTONCHECKBOX"), 4, 12, CRect(0, 0, 0, 0), TRUE,
                                  rcCheckMark, rcCheckMark));
            EXPECT_TRUE(DrawnFrom(*canvas, m_pTheme, _T("TOOLBARBUTTONRADIOBUTTON"), 4, 8, CRect(0, 0, 0, 0), TRUE,
                                  rcRadioMark, rcRadioMark));
            EXPECT_TRUE(DrawnFrom(*canvas, m_pTheme, _T("TOOLBARBUTTONSSPECIALCENTER"), 3, 6, CRect(3, 3, 3, 3), TRUE,
                                  rcGrouped, LeftStrip(rcGrouped)));
            break;
        case 5:     // open: the drop-down part pressed
            EXPECT_TRUE(DrawnFrom(*canvas, m_pTheme, _T("TOOLBARBUTTONSSPLITDROPDOWN50"), 5, 6, rcMargins2, FALSE,
                                  CRect(rcPaste.left, rcPaste.bottom - (2 * m_pTheme->GetControlHeight() - 17),
                                        rcPaste.right, rcPaste.bottom),
                                  LeftStrip(CRect(rcPaste.left,
                                                  rcPaste.bottom - (2 * m_pTheme->GetControlHeight() - 17),
                                                  rcPaste.right, rcPaste.bottom))));
            break;
        case 6:     // disabled
            EXPECT_TRUE(DrawnFrom(*canvas, m_pTheme, _T("TOOLBARBUTTONCHECKBOX"), 3, 12, CRect(0, 0, 0, 0), TRUE,
                                  rcCheckMark, rcCheckMark));
            EXPECT_TRUE(DrawnFrom(*canvas, m_pTheme, _T("TOOLBARBUTTONSPIN"), 3, 10, rcMargins2, FALSE, rcUp,
                                  CRect(rcUp.left, rcUp.top, rcUp.left + 3, rcUp.top + 2)));
            EXPECT_TRUE(DrawnFrom(*canvas, m_pTheme, _T("TOOLBARBUTTONSSPECIALCENTER"), 5, 6, CRect(3, 3, 3, 3), TRUE,
                                  rcGrouped, LeftStrip(rcGrouped)));
            break;
        default:
            break;
        }
    }
    // The large split button looks different at rest, hot, pressed and open.
    EXPECT_NE(clrSplitProbe[0], clrSplitProbe[1]);
    EXPECT_NE(clrSplitProbe[1], clrSplitProbe[2]);
    EXPECT_NE(clrSplitProbe[2], clrSplitProbe[5]);
    EXPECT_FALSE(testsupport::SaveSnapshot(sheet, "ribbon_controls_states").empty());

    // Spin buttons: the half under the mouse is hot, the other half beside it.
    ApplyAll(kStates[0]);
    m_pEdit->m_nSelected = 4;
    std::unique_ptr<testsupport::Canvas> canvas(NewRibbonCanvas());
    Paint(*canvas);
    CRect rcSpin = m_pEdit->GetSpinButtonsRect();
    CRect rcUp(rcSpin.left, rcSpin.top, rcSpin.right, rcSpin.CenterPoint().y);
    CRect rcDown(rcSpin.left, rcSpin.CenterPoint().y, rcSpin.right, rcSpin.bottom);
    EXPECT_TRUE(DrawnFrom(*canvas, m_pTheme, _T("TOOLBARBUTTONSPIN"), 4, 10, CRect(2, 2, 2, 2), FALSE, rcUp,
                          CRect(rcUp.left, rcUp.top, rcUp.left + 3, rcUp.top + 2)));
    EXPECT_TRUE(DrawnFrom(*canvas, m_pTheme, _T("TOOLBARBUTTONSPIN"), 5 + 1, 10, CRect(2, 2, 2, 2), FALSE, rcDown,
                          CRect(rcDown.left, rcDown.bottom - 2, rcDown.left + 3, rcDown.bottom)));
    ApplyAll(kStates[0]);
    m_pFrame->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    EXPECT_TRUE(SaveWindowPicture(m_pFrame->m_hWnd, "ribbon_controls_frame"));
}

TEST_F(RibbonControlsLookTest, AFrameTheRibbonDrawsTakesTheStatusBarIntoItsBorder)
{
    // The status bar answers that the frame draws around it, and the frame
    // manager counts it in with its height; the Office 2007 look alone does not.
    EXPECT_NE(0, m_pStatus->SendMessage(10324, 0, 0));
    m_pRibbon->EnableFrameTheme(TRUE);
    m_pFrame->RecalcLayout();
    m_pFrame->Settle();
    CXTPRibbonFrameManager* pManager = m_pRibbon->GetFrameManager();
    ASSERT_TRUE(pManager != NULL);
    int nHeight = 0;
    EXPECT_TRUE(pManager->HasStatusBar(&nHeight));
    CRect rcStatus;
    m_pStatus->GetWindowRect(&rcStatus);
    EXPECT_EQ(rcStatus.Height(), nHeight);
    EXPECT_TRUE(SaveScreenPicture(m_pFrame->m_hWnd, "ribbon_frame_with_status_bar"));

    m_pStatus->ShowWindow(SW_HIDE);
    EXPECT_FALSE(pManager->HasStatusBar(&nHeight)) << "a hidden status bar";
    m_pStatus->ShowWindow(SW_SHOW);
    CXTPOffice2007Theme office2007;
    EXPECT_FALSE(office2007.m_bFrameStatusBar);
    m_pRibbon->EnableFrameTheme(FALSE);
}

TEST_F(RibbonControlsLookTest, MenuItemsSeparatorsLabelsAndGlyphsOfARibbonPopup)
{
    m_pFrame->SetForegroundWindow();
    m_pFrame->SetActiveWindow();
    m_pRibbon->SetTrackingMode(TRUE, FALSE);
    m_pRibbon->SetPopuped(m_pPaste->GetIndex());
    PumpAndIdle();
    CXTPPopupBar* pPopup = TopTrackedPopup();
    ASSERT_TRUE(pPopup != NULL);
    ASSERT_EQ(m_pMenu, pPopup);
    CXTPControls* pItems = pPopup->GetControls();
    CXTPControl* pSelected = pItems->GetAt(0);
    CXTPControl* pChecked = pItems->GetAt(1);
    CXTPControl* pDisabled = pItems->GetAt(2);
    CXTPControl* pLabel = pItems->GetAt(3);
    CXTPControl* pSub = pItems->GetAt(4);
    CXTPControl* pSplit = pItems->GetAt(5);
    ASSERT_FALSE(pDisabled->GetEnabled());
    pSelected->m_nSelected = 1;
    pSplit->m_nSelected = 1;

    CRect rcClient;
    pPopup->GetClientRect(&rcClient);
    testsupport::Canvas canvas(rcClient.Width(), rcClient.Height());
    pPopup->DrawCommandBar(canvas.DC(), rcClient);
    EXPECT_FALSE(testsupport::SaveSnapshot(canvas, "ribbon_menu").empty());

    // The border and the icon column with its two edge columns.
    EXPECT_EQ(RGB(0x86, 0x86, 0x86), canvas.Pixel(0, rcClient.Height() / 2));
    CRect rcDisabled = pDisabled->GetRect();
    int nColumn = m_pTheme->GetPopupBarGripperWidth(pPopup);
    EXPECT_EQ((COLORREF)0xEEEEE9, canvas.Pixel(rcDisabled.left + 2, rcDisabled.top + 1));
    EXPECT_EQ(RGB(0xFA, 0xFA, 0xFA), canvas.Pixel(rcDisabled.right - 3, rcDisabled.top + 1));

    // Selected row, checked mark's box, the split item's drop-down part.
    CRect rcSelected = pSelected->GetRect();
    EXPECT_TRUE(DrawnFrom(canvas, m_pTheme, _T("MENUSELECTEDITEM22"), 0, 1, CRect(4, 4, 4, 4), FALSE, rcSelected,
                          LeftStrip(rcSelected)));
    CRect rcChecked = pChecked->GetRect();
    int nCell = std::max(16 + 4, m_pTheme->GetControlHeight() + 4);
    CRect rcCheckBox(CPoint(rcChecked.left + (nCell - 20) / 2, rcChecked.top + (rcChecked.Height() - 20) / 2),
                     CSize(20, 20));
    EXPECT_TRUE(DrawnFrom(canvas, m_pTheme, _T("MENUCHECKEDITEM"), 0, 2, CRect(4, 4, 4, 4), FALSE, rcCheckBox,
                          CRect(rcCheckBox.left, rcCheckBox.top + 2, rcCheckBox.left + 2, rcCheckBox.bottom - 2)));
    CRect rcSplit = pSplit->GetRect();
    CRect rcSplitDrop(rcSplit.right - m_pTheme->m_nSplitButtonPopupWidth, rcSplit.top, rcSplit.right, rcSplit.bottom);
    EXPECT_TRUE(DrawnFrom(canvas, m_pTheme, _T("MENUSPLITDROPDOWN"), 1, 3, CRect(2, 2, 2, 2), FALSE, rcSplitDrop,
                          CRect(rcSplitDrop.left, rcSplitDrop.top + 3, rcSplitDrop.left + 3, rcSplitDrop.bottom - 3)));

    // The submenu's arrow, the label's face and line, the separator.
    CRect rcSub = pSub->GetRect();
    CXTPOffice2007Image* pGlyph = m_pTheme->LoadImage(_T("MENUPOPUPGLYPH"));
    ASSERT_TRUE(pGlyph != NULL);
    CSize szGlyph = pGlyph->GetSource(0, 2).Size();
    CRect rcGlyph(CPoint(rcSub.right - 11, rcSub.CenterPoint().y - szGlyph.cy / 2), szGlyph);
    EXPECT_TRUE(DrawnFrom(canvas, m_pTheme, _T("MENUPOPUPGLYPH"), 0, 2, CRect(0, 0, 0, 0), TRUE, rcGlyph, rcGlyph));
    CRect rcLabel = pLabel->GetRect();
    EXPECT_EQ(m_pTheme->GetColor(XPCOLOR_LABEL), canvas.Pixel(rcLabel.right - 3, rcLabel.top + 2));
    EXPECT_EQ(RGB(0xC5, 0xC5, 0xC5), canvas.Pixel(rcLabel.right - 3, rcLabel.bottom - 1));
    EXPECT_EQ(RGB(0xC5, 0xC5, 0xC5), canvas.Pixel(rcLabel.left + nColumn + 20, rcLabel.top - 2));
    EXPECT_EQ(RGB(0xF5, 0xF5, 0xF5), canvas.Pixel(rcLabel.left + nColumn + 20, rcLabel.top - 1));

    // Menu text is the popup text colour; disabled text the lighter grey.
    EXPECT_TRUE(HasColourIn(canvas, rcSelected, m_pTheme->GetColor(XPCOLOR_MENUBAR_TEXT)));
    EXPECT_TRUE(HasColourIn(canvas, rcDisabled, RGB(0xA7, 0xA7, 0xA7)));
    EXPECT_TRUE(SaveScreenPicture(m_pFrame->m_hWnd, "ribbon_menu_on_screen"));
    XTPMouseManager()->CloseAllTracked();
    PumpAndIdle();
}

TEST_F(RibbonControlsLookTest, WithoutPicturesControlsAreDrawnTheOffice2007Way)
{
    CXTPOffice2007ImageStore empty;
    m_pTheme->SetImages(&empty);
    m_pTheme->RefreshMetrics();
    ApplyAll(kStates[0]);
    std::unique_ptr<testsupport::Canvas> normal(NewRibbonCanvas());
    Paint(*normal);
    ApplyAll(kStates[1]);
    std::unique_ptr<testsupport::Canvas> hot(NewRibbonCanvas());
    Paint(*hot);
    EXPECT_FALSE(testsupport::SaveSnapshot(*hot, "ribbon_controls_without_pictures").empty());
    m_pTheme->SetImages(XTPOffice2007ImageStore());
    m_pTheme->RefreshMetrics();
    // The hot split button and the check box are still drawn, and differ
    // from their normal look.
    CRect rcUndo = m_pUndo->GetRect();
    EXPECT_NE(normal->Pixel(rcUndo.left + 1, rcUndo.CenterPoint().y), hot->Pixel(rcUndo.left + 1, rcUndo.CenterPoint().y));
    CRect rcCheck = m_pCheck->GetRect();
    CRect rcMark(CPoint(rcCheck.left + 3, rcCheck.top + (rcCheck.Height() - 13) / 2), CSize(13, 13));
    EXPECT_NE(normal->Pixel(rcMark.left, rcMark.top), normal->Pixel(rcMark.left - 2, rcMark.top));
}

TEST_F(RibbonControlsLookTest, ControlsInAReducedGroupsPopupAreDrawnFromTheirPictures)
{
    // Narrow enough that the Fields group shows as a single button.
    CXTPRibbonGroup* pFields = m_pTab->GetGroups()->GetAt(2);
    for (int cx = 700; cx >= 250 && !pFields->IsReduced(); cx -= 50)
    {
        m_pFrame->SetWindowPos(NULL, 0, 0, cx, 420, SWP_NOMOVE | SWP_NOZORDER);
        m_pFrame->Settle();
    }
    ASSERT_TRUE(pFields->IsReduced());
    m_pFrame->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    m_pFrame->SetForegroundWindow();
    m_pFrame->SetActiveWindow();
    m_pRibbon->SetTrackingMode(TRUE, FALSE);
    m_pRibbon->SetPopuped(pFields->GetControlGroupPopup()->GetIndex());
    PumpAndIdle();
    CXTPRibbonGroupPopupToolBar* pPopup = DYNAMIC_DOWNCAST(CXTPRibbonGroupPopupToolBar, TopTrackedPopup());
    ASSERT_TRUE(pPopup != NULL);
    CXTPControlComboBox* pCombo = NULL;
    for (int i = 0; i < pPopup->GetControlCount() && pCombo == NULL; i++)
        pCombo = DYNAMIC_DOWNCAST(CXTPControlComboBox, pPopup->GetControl(i));
    ASSERT_TRUE(pCombo != NULL);
    EXPECT_EQ(CString(_T("100%")), pCombo->GetText()) << "the combo's copy lost its text";
    pCombo->m_nSelected = 1;
    CRect rcClient;
    pPopup->GetClientRect(&rcClient);
    testsupport::Canvas canvas(rcClient.Width(), rcClient.Height());
    pPopup->DrawCommandBar(canvas.DC(), rcClient);
    EXPECT_FALSE(testsupport::SaveSnapshot(canvas, "ribbon_group_popup_controls").empty());
    CRect rcCombo = pCombo->GetRect();
    CRect rcButton(rcCombo.right - pCombo->GetThumbWidth() + 1, rcCombo.top + 1, rcCombo.right - 1, rcCombo.bottom - 1);
    rcButton.left = std::min((int)rcButton.left,
                             (int)rcButton.right - m_pTheme->LoadImage(_T("TOOLBARBUTTONSCOMBODROPDOWN"))->GetWidth());
    EXPECT_TRUE(DrawnFrom(canvas, m_pTheme, _T("TOOLBARBUTTONSCOMBODROPDOWN"), 1, 2, CRect(2, 2, 2, 2), FALSE,
                          rcButton, CRect(rcButton.left, rcButton.top + 1, rcButton.left + 2, rcButton.top + 4)));
    // The popup's face is the groups' picture (the ribbon's popup bar fill).
    EXPECT_NE(RGB(255, 255, 255), canvas.Pixel(rcClient.Width() / 2, rcClient.Height() - 4));
    pPopup->RedrawWindow();
    PumpAndIdle();
    EXPECT_TRUE(SaveScreenPicture(m_pFrame->m_hWnd, "ribbon_group_popup_on_screen"));
    XTPMouseManager()->CloseAllTracked();
    PumpAndIdle();
}

TEST_F(RibbonControlsLookTest, TheStatusBarIsLightUnderTheMessageAndDarkBeyondTheDivider)
{
    CRect rcClient;
    m_pStatus->GetClientRect(&rcClient);
    ASSERT_GT(rcClient.Width(), 200);
    testsupport::Canvas canvas(rcClient.Width(), rcClient.Height());
    m_pTheme->FillStatusBar(canvas.DC(), m_pStatus);
    m_pTheme->DrawStatusBarGripper(canvas.DC(), rcClient);
    EXPECT_FALSE(testsupport::SaveSnapshot(canvas, "ribbon_status_bar").empty());
    CRect rcMessage;
    m_pStatus->GetItemRect(0, &rcMessage);
    int xDivider = rcMessage.right;
    CXTPOffice2007Image* pDivider = m_pTheme->LoadImage(_T("STATUSBARDEVIDER"));
    ASSERT_TRUE(pDivider != NULL);
    int cyMiddle = rcClient.Height() / 2;
    CRect rcMargins(0, 1, 0, 1);
    EXPECT_TRUE(DrawnFrom(canvas, m_pTheme, _T("STATUSBARLIGHT"), 0, 1, rcMargins, FALSE,
                          CRect(0, 0, xDivider, rcClient.bottom), CRect(5, 0, 6, rcClient.bottom)));
    CRect rcDivider(xDivider, 0, xDivider + pDivider->GetWidth(), rcClient.bottom);
    EXPECT_TRUE(DrawnFrom(canvas, m_pTheme, _T("STATUSBARDEVIDER"), 0, 1, rcMargins, FALSE, rcDivider, rcDivider));
    CRect rcDark(rcDivider.right, 0, rcClient.right, rcClient.bottom);
    EXPECT_TRUE(DrawnFrom(canvas, m_pTheme, _T("STATUSBARDARK"), 0, 1, rcMargins, FALSE, rcDark,
                          CRect(rcDark.left + 2, 0, rcDark.left + 3, rcClient.bottom)));
    EXPECT_NE(canvas.Pixel(5, cyMiddle), canvas.Pixel(rcDark.left + 2, cyMiddle));
    // The gripper's picture in the bottom-right corner.
    CXTPOffice2007Image* pGripper = m_pTheme->LoadImage(_T("STATUSBARGRIPPER"));
    ASSERT_TRUE(pGripper != NULL);
    CRect rcGripper(rcClient.right - pGripper->GetWidth(), rcClient.bottom - pGripper->GetHeight(), rcClient.right,
                    rcClient.bottom);
    EXPECT_TRUE(DrawnFrom(canvas, m_pTheme, _T("STATUSBARGRIPPER"), 0, 1, CRect(0, 0, 0, 0), TRUE, rcGripper,
                          rcGripper));

    // A bar with one pane is light all along.
    CXTPStatusBar single;
    ASSERT_TRUE(single.Create(m_pFrame, WS_CHILD | CBRS_BOTTOM, 0xE900));
    single.AddIndicator(0);
    single.SetWindowPos(NULL, 0, 0, 300, 22, SWP_NOZORDER | SWP_NOACTIVATE);
    testsupport::Canvas whole(300, 22);
    m_pTheme->FillStatusBar(whole.DC(), &single);
    EXPECT_EQ(whole.Pixel(5, 11), whole.Pixel(290, 11));
    single.DestroyWindow();
}

TEST_F(RibbonControlsLookTest, KeyboardTipsAreAGradientFramedInTheTooltipBorder)
{
    CXTPCommandBarKeyboardTip* pTip =
        new CXTPCommandBarKeyboardTip(m_pFrame->GetCommandBars(), m_pPaste, _T("V"), CPoint(200, 200), 0, TRUE);
    ASSERT_TRUE(pTip->Show());
    CRect rc;
    pTip->GetClientRect(&rc);
    ASSERT_GT(rc.Height(), 8);
    testsupport::Canvas canvas(rc.Width(), rc.Height());
    m_pTheme->DrawKeyboardTip(canvas.DC(), pTip, FALSE);
    EXPECT_FALSE(testsupport::SaveSnapshot(canvas, "ribbon_keyboard_tip").empty());
    COLORREF clrBorder = m_pTheme->GetImageColor(_T("Window"), _T("TooltipBorder"));
    EXPECT_EQ(clrBorder, canvas.Pixel(0, 0));
    EXPECT_EQ(clrBorder, canvas.Pixel(rc.Width() - 1, rc.Height() - 1));
    EXPECT_TRUE(Near(m_pTheme->GetImageColor(_T("Window"), _T("TooltipLight")), canvas.Pixel(1, 1), 6));
    EXPECT_TRUE(Near(m_pTheme->GetImageColor(_T("Window"), _T("TooltipDark")), canvas.Pixel(1, rc.Height() - 2), 6));
    EXPECT_TRUE(HasColourIn(canvas, rc, ::GetSysColor(COLOR_BTNTEXT)));
    // A disabled tip's letter is grey.
    pTip->m_bEnabled = FALSE;
    testsupport::Canvas disabled(rc.Width(), rc.Height());
    m_pTheme->DrawKeyboardTip(disabled.DC(), pTip, FALSE);
    EXPECT_TRUE(HasColourIn(disabled, rc, ::GetSysColor(COLOR_GRAYTEXT)));
    EXPECT_FALSE(HasColourIn(disabled, rc, ::GetSysColor(COLOR_BTNTEXT)));
    pTip->DestroyWindow();
    delete pTip;

    // The ribbon's own tips over the frame: tabs, then the controls of a tab.
    CXTPCommandBars* pCommandBars = m_pFrame->GetCommandBars();
    pCommandBars->ShowKeyboardTips(m_pRibbon, 1);
    PumpAndIdle();
    EXPECT_GT(pCommandBars->m_arrKeyboardTips.GetSize(), 0);
    EXPECT_TRUE(SaveScreenPicture(m_pFrame->m_hWnd, "ribbon_keyboard_tips_tabs"));
    pCommandBars->ShowKeyboardTips(m_pRibbon, 2);
    PumpAndIdle();
    EXPECT_GT(pCommandBars->m_arrKeyboardTips.GetSize(), 0);
    EXPECT_TRUE(SaveScreenPicture(m_pFrame->m_hWnd, "ribbon_keyboard_tips_controls"));
    pCommandBars->HideKeyboardTips();
    PumpAndIdle();
}

TEST_F(RibbonControlsLookTest, RefreshSetsTheRibbonTextColoursAndTheFixedMenuColours)
{
    auto ribbon = [this](LPCTSTR lpszKey) { return m_pTheme->GetImageColor(_T("Ribbon"), lpszKey); };
    EXPECT_EQ(ribbon(_T("GroupClientText")), m_pTheme->GetColor(XPCOLOR_TOOLBAR_TEXT));
    EXPECT_EQ(ribbon(_T("MenuPopupText")), m_pTheme->GetColor(XPCOLOR_MENUBAR_TEXT));
    EXPECT_EQ(ribbon(_T("ControlHighlightText")), m_pTheme->GetColor(XPCOLOR_HIGHLIGHT_TEXT));
    EXPECT_EQ(RGB(0x86, 0x86, 0x86), m_pTheme->GetColor(XPCOLOR_MENUBAR_BORDER));
    EXPECT_EQ(RGB(0xFA, 0xFA, 0xFA), m_pTheme->GetColor(XPCOLOR_MENUBAR_FACE));
    EXPECT_EQ(RGB(0xA7, 0xA7, 0xA7), m_pTheme->GetColor(XPCOLOR_GRAYTEXT));
    EXPECT_EQ((COLORREF)0xEEEEE9, m_pTheme->m_clrMenuExpandedGripper.clrLight.GetColor());
    EXPECT_EQ((COLORREF)0xEEEEE9, m_pTheme->m_clrMenuExpandedGripper.clrDark.GetColor());
    // Text colours by bar: menus, the menu bar, other bars; enabled and not.
    EXPECT_EQ(m_pTheme->GetColor(XPCOLOR_MENUBAR_TEXT),
              m_pTheme->GetRectangleTextColor(TRUE, FALSE, TRUE, FALSE, FALSE, xtpBarTypePopup, xtpBarPopup));
    EXPECT_EQ(RGB(0xA7, 0xA7, 0xA7),
              m_pTheme->GetRectangleTextColor(FALSE, FALSE, FALSE, FALSE, FALSE, xtpBarTypePopup, xtpBarPopup));
    EXPECT_EQ(m_pTheme->m_clrMenuBarText,
              m_pTheme->GetRectangleTextColor(FALSE, FALSE, TRUE, FALSE, FALSE, xtpBarTypeMenuBar, xtpBarTop));
    EXPECT_EQ(m_pTheme->GetColor(XPCOLOR_TOOLBAR_TEXT),
              m_pTheme->GetRectangleTextColor(TRUE, FALSE, TRUE, FALSE, FALSE, xtpBarTypeMenuBar, xtpBarTop));
    EXPECT_EQ(m_pTheme->GetColor(XPCOLOR_TOOLBAR_GRAYTEXT),
              m_pTheme->GetRectangleTextColor(FALSE, FALSE, FALSE, FALSE, FALSE, xtpBarTypeNormal, xtpBarTop));
    // A missing key gives -1 (no colour); the fixed colours stay.
    CXTPOffice2007ImageStore empty;
    m_pTheme->SetImages(&empty);
    m_pTheme->RefreshMetrics();
    EXPECT_EQ((COLORREF)-1, m_pTheme->GetColor(XPCOLOR_TOOLBAR_TEXT));
    EXPECT_EQ((COLORREF)-1, m_pTheme->GetColor(XPCOLOR_MENUBAR_TEXT));
    EXPECT_EQ(RGB(0x86, 0x86, 0x86), m_pTheme->GetColor(XPCOLOR_MENUBAR_BORDER));
    m_pTheme->SetImages(XTPOffice2007ImageStore());
    m_pTheme->RefreshMetrics();
}

TEST_F(RibbonControlsLookTest, AReducedGroupsButtonKeepsItsWidthAndFramesASmallIcon)
{
    CXTPRibbonGroup* pGroup = m_pTab->AddGroup(_T("A group with a rather long caption"), 74);
    pGroup->Add(xtpControlButton, 2026, _T("One"));
    pGroup->SetIconId(ID_SAVE_PUZZLE);
    m_pFrame->Settle();
    CXTPControl* pButton = pGroup->GetControlGroupPopup();
    ASSERT_TRUE(pButton != NULL);
    // The icon set on the group after it was made reaches its button.
    EXPECT_EQ((int)ID_SAVE_PUZZLE, pButton->GetIconId());
    testsupport::Canvas measure(10, 10);
    CSize sz = m_pTheme->DrawGroupPopupButton(measure.DC(), pButton, FALSE);
    EXPECT_EQ(std::max(2 * m_pTheme->GetControlHeight() - 3, 42), sz.cx);
    EXPECT_EQ(3 * m_pTheme->GetLargeButtonHeight(), sz.cy);

    // Drawn: the 16-pixel icon sits in its frame 2 pixels below the top.
    pButton->SetRect(CRect(10, 10, 10 + sz.cx, 10 + sz.cy));
    testsupport::Canvas canvas(sz.cx + 20, sz.cy + 20);
    m_pTheme->DrawGroupPopupButton(canvas.DC(), pButton, TRUE);
    EXPECT_FALSE(testsupport::SaveSnapshot(canvas, "ribbon_group_button").empty());
    CXTPOffice2007Image* pFrame = m_pTheme->LoadImage(_T("RIBBONGROUPBUTTONICON"));
    ASSERT_TRUE(pFrame != NULL);
    int xFrame = 10 + sz.cx / 2 - pFrame->GetWidth() / 2;
    CRect rcFrame(CPoint(xFrame, 12), CSize(pFrame->GetWidth(), pFrame->GetHeight()));
    EXPECT_TRUE(DrawnFrom(canvas, m_pTheme, _T("RIBBONGROUPBUTTONICON"), 0, 1, CRect(0, 0, 0, 0), FALSE, rcFrame,
                          CRect(rcFrame.left, rcFrame.top, rcFrame.right, rcFrame.top + 5)));
    // The icon itself, 9 pixels below the top, as the image manager draws it.
    CXTPImageManagerIcon* pIcon = pButton->GetImage(32);
    ASSERT_TRUE(pIcon != NULL);
    CSize szIcon = pIcon->GetExtent();
    EXPECT_LT(szIcon.cx, 20);
    testsupport::Canvas icon(sz.cx + 20, sz.cy + 20);
    ::BitBlt(icon.Handle(), 0, 0, icon.Width(), icon.Height(), canvas.Handle(), 0, 0, SRCCOPY);
    CPoint ptIcon(10 + sz.cx / 2 - szIcon.cx / 2, 10 + 9);
    pIcon->Draw(icon.DC(), ptIcon, pIcon->GetIcon(), szIcon);
    for (int y = 0; y < szIcon.cy; y++)
        for (int x = 0; x < szIcon.cx; x++)
            ASSERT_EQ(icon.Pixel(ptIcon.x + x, ptIcon.y + y), canvas.Pixel(ptIcon.x + x, ptIcon.y + y)) << x << "," << y;
    // A caption wider than the button does not spill beside it.
    for (int y = 0; y < canvas.Height(); y++)
        ASSERT_EQ(RGB(255, 255, 255), canvas.Pixel(5, y)) << y;
}

TEST(RibbonThemeBarsTest, BarsMenusAndStatusBarBesideTheOffice2007Look)
{
    // The same bar set as the Office 2007 theme's snapshot, in the ribbon theme.
    CXTPPaintManager::SetTheme(xtpThemeRibbon);
    ASSERT_EQ(6, XTPPaintManager()->BaseTheme());
    EXPECT_TRUE(testsupport::SaveSceneSnapshot("ribbon_theme_bars"));
    // Drawing every control in every state leaks nothing.
    std::pair<DWORD, DWORD> gdi = testsupport::GdiHighWaterAroundThousandDraws();
    EXPECT_EQ(gdi.first, gdi.second);
    CXTPPaintManager::SetTheme(xtpThemeDefault);
}

TEST_F(RibbonThemeTest, AContextHeadersTextSitsTwoPixelsHigherWithoutAFrameBorder)
{
    CXTPRibbonTabContextHeaders* pHeaders = m_pRibbon->GetContextHeaders();
    ASSERT_GT(pHeaders->GetCount(), 0);
    ASSERT_TRUE(m_pRibbon->GetFrameManager() == NULL);
    CXTPRibbonTabContextHeader* pHeader = pHeaders->GetAt(0);
    CRect rcHeader = pHeader->m_rcHeader;
    ASSERT_FALSE(rcHeader.IsRectEmpty());
    CSize sz = ClientSize();
    testsupport::Canvas canvas(sz.cx, sz.cy);
    Paint(canvas);

    // The header's picture and its caption drawn where they belong: 6 pixels
    // in, the text rectangle's top moved up by 2 (no frame border).
    CXTPRibbonTheme* pTheme = m_pFrame->GetTheme();
    testsupport::Canvas reference(sz.cx, sz.cy);
    ::BitBlt(reference.Handle(), 0, 0, sz.cx, sz.cy, canvas.Handle(), 0, 0, SRCCOPY);
    CString strPart;
    strPart.Format(_T("ContextTab%sHeader"), (LPCTSTR)CXTPRibbonTheme::GetContextColorName(pHeader->m_nColor));
    ASSERT_TRUE(pTheme->DrawPart(reference.DC(), strPart, rcHeader, 0, 1, CRect(1, 1, 1, 1), FALSE));
    CRect rcText(rcHeader.left + 6, rcHeader.top - 2, rcHeader.right, rcHeader.bottom);
    CXTPFontDC font(reference.DC(), pTheme->GetCaptionFont());
    reference.DC()->SetBkMode(TRANSPARENT);
    reference.DC()->SetTextColor(pTheme->GetTabPaintManager()->GetColorSet()->m_clrTextNormal);
    reference.DC()->DrawText(pHeader->m_strCaption, rcText, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    for (int y = rcHeader.top; y < rcHeader.bottom; y++)
        for (int x = rcHeader.left; x < rcHeader.right; x++)
            ASSERT_EQ(reference.Pixel(x, y), canvas.Pixel(x, y)) << x << "," << y;
}

TEST_F(RibbonThemeTest, WithoutItsHeaderPictureAContextHeaderIsNotDrawn)
{
    // With the pictures the header is drawn (its caption shows); a theme
    // without the header picture of its colour draws no header at all.
    CXTPRibbonTabContextHeaders* pHeaders = m_pRibbon->GetContextHeaders();
    ASSERT_GT(pHeaders->GetCount(), 0);
    CXTPRibbonTabContextHeader* pHeader = pHeaders->GetAt(0);
    const CString strCaption = pHeader->m_strCaption;
    CSize sz = ClientSize();
    auto CaptionChangesPixels = [&]() {
        testsupport::Canvas before(sz.cx, sz.cy), after(sz.cx, sz.cy);
        Paint(before);
        pHeader->m_strCaption = _T("WWWWWWWW");
        Paint(after);
        pHeader->m_strCaption = strCaption;
        for (int y = 0; y < sz.cy; y++)
            for (int x = 0; x < sz.cx; x++)
                if (before.Pixel(x, y) != after.Pixel(x, y))
                    return true;
        return false;
    };
    EXPECT_TRUE(CaptionChangesPixels());

    CXTPRibbonTheme* pTheme = m_pFrame->GetTheme();
    CXTPOffice2007ImageStore empty;
    pTheme->SetImages(&empty);
    EXPECT_FALSE(CaptionChangesPixels());
    pTheme->SetImages(XTPOffice2007ImageStore());
}

namespace
{
using RibbonFontSizeTest = RibbonSampleTest;

int FontHeight(CFont* pFont)
{
    LOGFONT lf;
    ZeroMemory(&lf, sizeof(lf));
    return pFont->GetSafeHandle() != NULL && pFont->GetLogFont(&lf) ? (int)lf.lfHeight : 0;
}
} // namespace

// The theme's font size reaches the text of the controls and the tab
// captions, also after the metrics are refreshed: the command-bar fonts are
// built from the ribbon's font, not again from the system's menu font,
// while the icon, status and caption fonts stay the system's.
TEST_F(RibbonFontSizeTest, TheFontSizeReachesControlText)
{
    CXTPRibbonTheme* pTheme = m_pFrame->GetTheme();
    HDC hDC = ::GetDC(NULL);
    int nDpi = ::GetDeviceCaps(hDC, LOGPIXELSY);
    ::ReleaseDC(NULL, hDC);
    CXTPControl* pSave = m_pRibbon->GetTab(0)->GetGroups()->GetAt(0)->GetAt(2);
    ASSERT_EQ(ID_SAVE_PUZZLE, pSave->GetID());
    pTheme->SetFontHeight(0);
    m_pFrame->RecalcLayout();
    m_pFrame->Settle();
    const int nSmallWidth = pSave->GetRect().Width();
    const int nSmallTabWidth = m_pRibbon->GetTab(0)->GetRect().Width();
    EXPECT_EQ(11 * 125 / nDpi, abs(FontHeight(pTheme->GetRegularFont())));

    for (int nSize : { 16, 20 })
    {
        pTheme->SetFontHeight(nSize);
        pTheme->RefreshMetrics();
        EXPECT_EQ(FontHeight(pTheme->GetRegularFont()), FontHeight(pTheme->GetTabPaintManager()->GetFont()))
            << "the tab captions keep another font at size " << nSize;
        EXPECT_EQ(nSize * 125 / nDpi, abs(FontHeight(pTheme->GetRegularFont()))) << "size " << nSize;
        EXPECT_EQ(nSize * 125 / nDpi, abs(FontHeight(pTheme->GetRegularBoldFont()))) << "size " << nSize;
        EXPECT_TRUE(pTheme->GetIconFont()->GetSafeHandle() != NULL);
        EXPECT_TRUE(pTheme->GetIconBoldFont()->GetSafeHandle() != NULL);
        EXPECT_EQ(std::max(nSize * 144 / nDpi + 6, 22), pTheme->GetControlHeight());
        m_pFrame->RecalcLayout();
        m_pFrame->Settle();
        EXPECT_GT(pSave->GetRect().Width(), nSmallWidth) << "the caption of Save kept its width at size " << nSize;
        EXPECT_GT(m_pRibbon->GetTab(0)->GetRect().Width(), nSmallTabWidth) << "the Home tab kept its width";
        m_pFrame->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        PumpAndIdle();
        std::string strName = "ribbon_font_size_" + std::to_string(nSize);
        EXPECT_TRUE(SaveWindowPicture(m_pRibbon->m_hWnd, strName.c_str()));
    }
    pTheme->SetFontHeight(0);
    m_pFrame->RecalcLayout();
    m_pFrame->Settle();
    EXPECT_EQ(nSmallWidth, pSave->GetRect().Width());
    EXPECT_EQ(nSmallTabWidth, m_pRibbon->GetTab(0)->GetRect().Width());
}

// ---------------------------------------------------------------------------
// The theme's ribbon operations drawn on their own into pictures.

namespace
{
class RibbonPartsTest : public RibbonSampleTest
{
protected:
    void SetUp() override
    {
        RibbonSampleTest::SetUp();
        if (HasFatalFailure())
            return;
        m_pTheme = m_pFrame->GetTheme();
        CRect rc;
        m_pRibbon->GetClientRect(&rc);
        m_size = rc.Size();
    }
    // A picture of the ribbon's size filled with a colour no part has.
    std::unique_ptr<testsupport::Canvas> Blank() const
    {
        std::unique_ptr<testsupport::Canvas> canvas(new testsupport::Canvas(m_size.cx, m_size.cy));
        canvas->Fill(kBack);
        return canvas;
    }
    // Whether two pictures agree over a rectangle; the first difference.
    static ::testing::AssertionResult Same(const testsupport::Canvas& a, const testsupport::Canvas& b, CRect rc)
    {
        for (int y = rc.top; y < rc.bottom; y++)
            for (int x = rc.left; x < rc.right; x++)
                if (a.Pixel(x, y) != b.Pixel(x, y))
                    return ::testing::AssertionFailure() << "differ at " << x << "," << y << ": 0x" << std::hex
                                                         << a.Pixel(x, y) << " and 0x" << b.Pixel(x, y);
        return ::testing::AssertionSuccess();
    }
    static constexpr COLORREF kBack = RGB(255, 0, 254);
    CXTPRibbonTheme* m_pTheme = NULL;
    CSize m_size;
};
} // namespace

// The frame of the quick-access toolbar and the ribbon's background: the
// ribbon face from the top (no gradient of a caption band), below the
// frame's caption when the ribbon draws the frame; the toolbar's picture
// over the toolbar's rectangle when it stands below.
TEST_F(RibbonPartsTest, TheQuickAccessFrameFillsTheFaceAndFramesTheToolbarBelow)
{
    std::unique_ptr<testsupport::Canvas> canvas = Blank();
    m_pTheme->DrawQuickAccessFrame(canvas->DC(), m_pRibbon);
    EXPECT_EQ(m_pTheme->m_clrRibbonFace, canvas->Pixel(m_size.cx / 2, 1));
    EXPECT_EQ(m_pTheme->m_clrRibbonFace, canvas->Pixel(m_size.cx / 2, m_pRibbon->GetCaptionRect().bottom - 2));
    EXPECT_EQ(m_pTheme->m_clrRibbonFace, canvas->Pixel(m_size.cx / 2, m_size.cy - 1));

    m_pRibbon->ShowQuickAccessBelow(TRUE);
    m_pFrame->Settle();
    CRect rcClient;
    m_pRibbon->GetClientRect(&rcClient);
    canvas.reset(new testsupport::Canvas(rcClient.Width(), rcClient.Height()));
    canvas->Fill(kBack);
    m_pTheme->DrawQuickAccessFrame(canvas->DC(), m_pRibbon);
    CRect rcQuick = m_pRibbon->GetQuickAccessRect();
    EXPECT_TRUE(DrawnFrom(*canvas, m_pTheme, _T("RIBBONQUICKACCESSFRAME"), 0, 1, CRect(3, 3, 3, 3), FALSE, rcQuick,
                          rcQuick));
    EXPECT_TRUE(SaveWindowPicture(m_pRibbon->m_hWnd, "quick_access_frame_below"));
    m_pRibbon->ShowQuickAccessBelow(FALSE);

    // The ribbon draws the frame: the caption band is the frame caption's.
    m_pRibbon->EnableFrameTheme(TRUE);
    m_pFrame->Settle();
    m_pRibbon->GetClientRect(&rcClient);
    canvas.reset(new testsupport::Canvas(rcClient.Width(), rcClient.Height()));
    canvas->Fill(kBack);
    m_pTheme->DrawQuickAccessFrame(canvas->DC(), m_pRibbon);
    EXPECT_EQ(kBack, canvas->Pixel(rcClient.Width() / 2, 1));
    EXPECT_EQ(m_pTheme->m_clrRibbonFace, canvas->Pixel(rcClient.Width() / 2, m_pTheme->m_nFrameCaptionHeight + 1));
    m_pRibbon->EnableFrameTheme(FALSE);
}

// A compressed tab strip has a separator beside every tab, the selected and
// the hot one included.
TEST_F(RibbonPartsTest, EveryTabOfACompressedStripHasItsSeparator)
{
    for (int i = 0; i < 6; i++)
        m_pRibbon->AddTab(_T("A tab with a long caption"), 60 + i);
    Resize(500, 400);
    m_pRibbon->SetCurSel(5);
    m_pFrame->Settle();
    CXTPRibbonTab* pSelected = m_pRibbon->GetTab(5);
    ASSERT_TRUE(pSelected->IsSelected());
    ASSERT_LT(pSelected->GetButtonLength(), pSelected->GetContentLength()) << "the strip is not compressed";
    std::unique_ptr<testsupport::Canvas> canvas = Blank();
    m_pTheme->DrawRibbonTab(canvas->DC(), pSelected);
    // Right of the tab's drawn rectangle (its own less a pixel at the top,
    // right and bottom).
    CRect rc = pSelected->GetRect();
    CRect rcSeparator(rc.right - 1, rc.top - 1, rc.right, rc.bottom - 1);
    EXPECT_TRUE(DrawnFrom(*canvas, m_pTheme, _T("RIBBONTABSEPARATOR"), 0, 1, CRect(0, 0, 0, 0), FALSE, rcSeparator,
                          rcSeparator));
    EXPECT_NE(kBack, canvas->Pixel(rc.right - 1, rc.CenterPoint().y));
    m_pRibbon->RedrawWindow();
    EXPECT_TRUE(SaveWindowPicture(m_pRibbon->m_hWnd, "compressed_tabs"));
}

// The caption the ribbon shows without drawing the frame: the frame's top
// picture in the state of the frame's activity, and the quick-access area
// from 15 pixels left of the toolbar to its right, through the caption.
TEST_F(RibbonPartsTest, TheCaptionAreaFollowsTheFramesActivityAndFramesTheToolbar)
{
    ASSERT_TRUE(m_pRibbon->IsCaptionVisible());
    m_pFrame->SetForegroundWindow();
    PumpAndIdle();
    ASSERT_TRUE(CXTPDrawHelpers::IsTopParentActive(m_pRibbon->m_hWnd));
    std::unique_ptr<testsupport::Canvas> active = Blank();
    m_pTheme->DrawRibbonCaptionArea(active->DC(), m_pRibbon);
    CRect rcCaption = m_pRibbon->GetCaptionRect();
    CRect rcProbe(rcCaption.right - 20, rcCaption.top, rcCaption.right - 10, rcCaption.bottom);
    EXPECT_TRUE(DrawnFrom(*active, m_pTheme, _T("FRAMETOPCENTER"), 0, 2, CRect(0, 5, 0, 3), FALSE, rcCaption,
                          rcProbe));
    CRect rcQuick = m_pRibbon->GetQuickAccessRect();
    CRect rcArea(rcQuick.left - 15, rcCaption.top, rcQuick.right, rcCaption.bottom);
    EXPECT_TRUE(DrawnFrom(*active, m_pTheme, _T("RIBBONQUICKACCESSAREA"), 0, 1, CRect(16, 3, 16, 3), FALSE, rcArea,
                          rcArea));

    // Another window takes the activation: the inactive state.
    CWnd other;
    ASSERT_TRUE(other.CreateEx(0, AfxRegisterWndClass(0), _T("Other"), WS_POPUP | WS_VISIBLE, CRect(900, 600, 1000, 700),
                               NULL, 0));
    other.SetForegroundWindow();
    PumpAndIdle();
    EXPECT_FALSE(CXTPDrawHelpers::IsTopParentActive(m_pRibbon->m_hWnd));
    std::unique_ptr<testsupport::Canvas> inactive = Blank();
    m_pTheme->DrawRibbonCaptionArea(inactive->DC(), m_pRibbon);
    EXPECT_TRUE(DrawnFrom(*inactive, m_pTheme, _T("FRAMETOPCENTER"), 1, 2, CRect(0, 5, 0, 3), FALSE, rcCaption,
                          rcProbe));
    EXPECT_FALSE(Same(*active, *inactive, rcProbe));
    // The ribbon on the screen follows too.
    EXPECT_TRUE(SaveScreenPicture(m_pFrame->m_hWnd, "caption_area_inactive"));
    other.DestroyWindow();
    m_pFrame->SetForegroundWindow();
    PumpAndIdle();
    EXPECT_TRUE(SaveScreenPicture(m_pFrame->m_hWnd, "caption_area_active"));
}

// The quick-access buttons are their pictures alone (the picture holds the
// glyph), in the normal, hot and open states; on a caption the ribbon draws
// for the frame their pixels are made opaque.
TEST_F(RibbonPartsTest, QuickAccessButtonsAreTheirPicturesAlone)
{
    CXTPControl* pCustomise = m_pRibbon->GetControlQuickAccessPopup();
    CRect rc = pCustomise->GetRect();
    ASSERT_FALSE(rc.IsRectEmpty());
    for (int nState = 0; nState < 2; nState++)
    {
        pCustomise->m_nSelected = nState;
        std::unique_ptr<testsupport::Canvas> drawn = Blank();
        m_pTheme->DrawQuickAccessButton(drawn->DC(), pCustomise);
        std::unique_ptr<testsupport::Canvas> picture = Blank();
        ASSERT_TRUE(m_pTheme->DrawPart(picture->DC(), _T("RIBBONQUICKACCESSBUTTON"), rc, nState, 4, CRect(2, 2, 2, 2),
                                       TRUE));
        EXPECT_TRUE(Same(*drawn, *picture, rc)) << "state " << nState;
        std::unique_ptr<testsupport::Canvas> more = Blank();
        m_pTheme->DrawQuickAccessMoreButton(more->DC(), pCustomise);
        std::unique_ptr<testsupport::Canvas> morePicture = Blank();
        ASSERT_TRUE(m_pTheme->DrawPart(morePicture->DC(), _T("RIBBONQUICKACCESSMORE"), rc, nState, 4,
                                       CRect(2, 2, 2, 2), TRUE));
        EXPECT_TRUE(Same(*more, *morePicture, rc)) << "state " << nState;
    }
    pCustomise->m_nSelected = 0;
    EXPECT_FALSE(pCustomise->IsInRibbonCaption()) << "the ribbon does not draw the frame";

    // Without the picture nothing is drawn.
    CXTPOffice2007ImageStore empty;
    m_pTheme->SetImages(&empty);
    std::unique_ptr<testsupport::Canvas> none = Blank();
    m_pTheme->DrawQuickAccessButton(none->DC(), pCustomise);
    EXPECT_TRUE(Same(*none, *Blank(), rc));
    m_pTheme->SetImages(XTPOffice2007ImageStore());
    m_pTheme->RefreshMetrics();
}

// Whether a rectangle lies on the ribbon's caption: only for a ribbon that
// draws the frame and shows its caption; the theme answers, and a control
// asks it for its rectangle.
TEST_F(RibbonPartsTest, InRibbonCaptionOnlyOnTheCaptionOfARibbonThatDrawsTheFrame)
{
    CXTPControl* pQuick = m_pRibbon->GetQuickAccessControls()->GetAt(0);
    CXTPControl* pGroupControl = m_pRibbon->GetTab(0)->GetGroups()->GetAt(0)->GetAt(0);
    EXPECT_FALSE(m_pTheme->IsInRibbonCaption(m_pRibbon->GetCaptionRect(), m_pRibbon));
    EXPECT_FALSE(pQuick->IsInRibbonCaption());

    m_pRibbon->EnableFrameTheme(TRUE);
    m_pFrame->Settle();
    CRect rcCaption = m_pRibbon->GetCaptionRect();
    ASSERT_FALSE(rcCaption.IsRectEmpty());
    EXPECT_TRUE(m_pTheme->IsInRibbonCaption(rcCaption, m_pRibbon));
    EXPECT_TRUE(m_pTheme->IsInRibbonCaption(CRect(rcCaption.left, rcCaption.bottom - 1, 10, rcCaption.bottom + 5),
                                            m_pRibbon));
    EXPECT_FALSE(m_pTheme->IsInRibbonCaption(CRect(0, rcCaption.bottom, 10, rcCaption.bottom + 5), m_pRibbon));
    EXPECT_TRUE(pQuick->IsInRibbonCaption());
    EXPECT_FALSE(pGroupControl->IsInRibbonCaption());
    // Another bar is never on the caption, nor a bar without a caption.
    EXPECT_FALSE(m_pTheme->IsInRibbonCaption(rcCaption, NULL));
    CXTPPopupBar* pPopup = CXTPPopupBar::CreatePopupBar(m_pFrame->GetCommandBars());
    EXPECT_FALSE(m_pTheme->IsInRibbonCaption(rcCaption, pPopup));
    pPopup->InternalRelease();
    m_pRibbon->ShowQuickAccessBelow(TRUE);
    m_pFrame->Settle();
    EXPECT_FALSE(pQuick->IsInRibbonCaption());
    m_pRibbon->ShowQuickAccessBelow(FALSE);
    m_pRibbon->EnableFrameTheme(FALSE);
    m_pFrame->Settle();
}

// A reduced group's popup: the groups picture over the popup filled with the
// ribbon's blue; the caption band is the copied group's own drawing.
TEST_F(RibbonPartsTest, AGroupPopupIsFilledWithoutACaptionBandOfItsOwn)
{
    // Narrowed until a group of the Insert tab (captions only) collapses
    // into its button.
    m_pRibbon->SetCurSel(1);
    CXTPRibbonGroups* pGroups = m_pRibbon->GetTab(1)->GetGroups();
    CXTPRibbonGroup* pGroup = NULL;
    for (int cx = 800; cx >= 256 && pGroup == NULL; cx -= 4)
    {
        Resize(cx, 400);
        for (int i = 0; i < pGroups->GetCount() && pGroup == NULL; i++)
            if (pGroups->GetAt(i)->IsReduced())
                pGroup = pGroups->GetAt(i);
    }
    ASSERT_TRUE(pGroup != NULL) << "no group collapsed";
    m_pRibbon->SetTrackingMode(TRUE, FALSE);
    m_pRibbon->SetPopuped(pGroup->GetControlGroupPopup()->GetIndex());
    PumpAndIdle();
    CXTPRibbonGroupPopupToolBar* pPopup = DYNAMIC_DOWNCAST(CXTPRibbonGroupPopupToolBar, TopTrackedPopup());
    ASSERT_TRUE(pPopup != NULL);
    CRect rcClient;
    pPopup->GetClientRect(&rcClient);
    testsupport::Canvas filled(rcClient.Width(), rcClient.Height());
    m_pTheme->FillGroupPopupBar(filled.DC(), pPopup->GetGroup(), pPopup);
    testsupport::Canvas expected(rcClient.Width(), rcClient.Height());
    expected.Fill(RGB(0xBF, 0xDB, 0xFF));
    CRect rcGroups = rcClient;
    rcGroups.InflateRect(3, 3);
    m_pTheme->FillGroupsArea(expected.DC(), pGroup->GetRibbonTab(), rcGroups);
    EXPECT_TRUE(Same(filled, expected, rcClient));
    pPopup->RedrawWindow();
    PumpAndIdle();
    EXPECT_TRUE(SaveScreenPicture(pPopup->m_hWnd, "group_popup_fill"));
    XTPMouseManager()->CloseAllTracked();
    PumpAndIdle();
}
