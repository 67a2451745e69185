// Tooltips with their shortcut, status prompts, help ids, the accessible
// view of a bar (also as a screen reader in another program reads it), and
// dropping a control during customisation. A menu is
// kept open (it closes when another program takes the activation).
// ctest: run-serial
#include <gtest/gtest.h>

#include "XTPCommandBarsOptions.h"
#include "XTPControlExtras.h"
#include "XTPControlPopup.h"
#include "XTPMenuBar.h"
#include "XTPCustomizeDragTracker.h"
#include "XTPPopupBar.h"
#include "XTPShortcutManager.h"
#include "XTPStatusBar.h"
#include "XTPToolTipContext.h"
#include "support/bars_frame.h"
#include "support/pump.h"
#include "support/screenreader.h"

#include <oleacc.h>

using testsupport::CBarsFrame;

namespace
{
class ServicesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        pFrame = CBarsFrame::Create();
        pBars = pFrame->GetCommandBars();
        pBar = pFrame->AddToolBar("Standard", {{101, "New"}, {102, "Open"}, {103, "Save"}});
        pBar->GetControl(1)->SetTooltip("Open a puzzle");
        pBar->GetControl(1)->SetDescription("Opens a puzzle file");
        ACCEL accel[] = {{FVIRTKEY | FCONTROL, 'O', 102}};
        pBars->GetShortcutManager()->SetAccelerators(accel, 1);
    }
    void TearDown() override { pFrame->DestroyWindow(); }

    // The tip text of the control at index, or "" for no tip.
    std::string TipAt(int nIndex, INT_PTR* pnHit = NULL)
    {
        TOOLINFO ti = {};
        ti.cbSize = 40;
        CPoint pt = pBar->GetControl(nIndex)->GetRect().CenterPoint();
        INT_PTR nHit = static_cast<CWnd*>(pBar)->OnToolHitTest(pt, &ti);
        if (pnHit != NULL)
            *pnHit = nHit;
        std::string str = nHit != -1 && ti.lpszText != NULL ? ti.lpszText : "";
        free(ti.lpszText);
        return str;
    }
    CBarsFrame* pFrame = NULL;
    CXTPCommandBars* pBars = NULL;
    CXTPToolBar* pBar = NULL;
};
} // namespace

TEST_F(ServicesTest, TipsCarryTheShortcutWhenTheOptionSays)
{
    INT_PTR nHit = 0;
    EXPECT_EQ("Open a puzzle", TipAt(1, &nHit));
    EXPECT_EQ(102, nHit);
    pBars->GetCommandBarsOptions()->bToolBarAccelTips = TRUE;
    EXPECT_EQ("Open a puzzle (Ctrl+O)", TipAt(1));
    pBar->GetControl(1)->SetShortcutText("F3");
    EXPECT_EQ("Open a puzzle (F3)", TipAt(1)) << "the control's own shortcut text first";

    pBars->GetCommandBarsOptions()->bToolBarScreenTips = FALSE;
    EXPECT_EQ("", TipAt(1));
    TOOLINFO ti = {};
    ti.cbSize = 40;
    pBars->GetCommandBarsOptions()->bToolBarScreenTips = TRUE;
    EXPECT_EQ(-1, static_cast<CWnd*>(pBar)->OnToolHitTest(CPoint(-5, -5), &ti)) << "no control under the point";
}

TEST_F(ServicesTest, TheHoveredControlsPromptShowsInTheStatusBarAndTheIdlePromptReturns)
{
    CXTPStatusBar* pStatusBar = new CXTPStatusBar;
    ASSERT_TRUE(pStatusBar->Create(pFrame));
    static const UINT indicators[] = {0, 59137};
    pStatusBar->SetIndicators(indicators, 2);
    pStatusBar->SetPaneText(0, "Ready");

    pBar->SetSelected(1);
    EXPECT_STREQ("Opens a puzzle file", pStatusBar->GetPaneText(0));
    pBar->SetSelected(-1);
    EXPECT_STREQ("Ready", pStatusBar->GetPaneText(0));
    pStatusBar->DestroyWindow();
    delete pStatusBar;
}

TEST_F(ServicesTest, HelpIdsAndTheAccessibleView)
{
    CPoint ptOpen = pBar->GetControl(1)->GetRect().CenterPoint();
    EXPECT_EQ(0x10000 + 102, pBar->SendMessage(WM_HELPHITTEST, 0, MAKELPARAM(ptOpen.x, ptOpen.y)));
    pBar->GetControl(1)->SetHelpId(7);
    EXPECT_EQ(0x10000 + 7, pBar->SendMessage(WM_HELPHITTEST, 0, MAKELPARAM(ptOpen.x, ptOpen.y)));

    EXPECT_EQ(0, pBar->SendMessage(WM_GETOBJECT, 0, pBar->GetControlCount() + 1)) << "no control is there";

    long nCount = 0;
    EXPECT_EQ(S_OK, pBar->GetAccessibleChildCount(&nCount));
    EXPECT_EQ(pBar->GetControlCount(), nCount) << "every control, the expand button too";
    VARIANT varSelf, varChild;
    varSelf.vt = VT_I4;
    varSelf.lVal = CHILDID_SELF;
    varChild.vt = VT_I4;
    varChild.lVal = 2;
    VARIANT varRole;
    pBar->GetAccessibleRole(varSelf, &varRole);
    EXPECT_EQ(ROLE_SYSTEM_TOOLBAR, varRole.lVal);
    pBar->GetAccessibleRole(varChild, &varRole);
    EXPECT_EQ(ROLE_SYSTEM_MENUITEM, varRole.lVal);

    pBar->GetControl(1)->SetCaption("R&&D &Open");
    pBar->GetControl(1)->SetShortcutText("F3");
    BSTR bstrName = NULL;
    EXPECT_EQ(S_OK, pBar->GetAccessibleName(varChild, &bstrName));
    EXPECT_STREQ(L"R&D Open\tF3", bstrName) << "without '&', then a tab and the shortcut";
    ::SysFreeString(bstrName);
    EXPECT_EQ(S_OK, pBar->GetAccessible()->get_accName(varChild, &bstrName));
    EXPECT_STREQ(L"R&D Open\tF3", bstrName) << "read by a client: the marks taken out once";
    ::SysFreeString(bstrName);
    pBar->SetTitle("&Tools && Tricks");
    EXPECT_EQ(S_OK, pBar->GetAccessibleName(varSelf, &bstrName));
    EXPECT_STREQ(L"&Tools && Tricks", bstrName) << "the bar's name is its title";
    ::SysFreeString(bstrName);
    EXPECT_EQ(S_OK, pBar->GetAccessible()->get_accName(varSelf, &bstrName));
    EXPECT_STREQ(L"Tools & Tricks", bstrName) << "read by a client: the title without its access key's '&'";
    ::SysFreeString(bstrName);

    pBar->SetSelected(1);
    VARIANT varState;
    pBar->GetAccessibleState(varChild, &varState);
    EXPECT_EQ(0x300086, varState.lVal);
    varChild.lVal = 1;
    pBar->GetAccessibleState(varChild, &varState);
    EXPECT_EQ(0x300000, varState.lVal);

    VARIANT varHit;
    CPoint ptScreen = ptOpen;
    pBar->ClientToScreen(&ptScreen);
    EXPECT_EQ(S_OK, pBar->AccessibleHitTest(ptScreen.x, ptScreen.y, &varHit));
    EXPECT_EQ(VT_DISPATCH, varHit.vt);
    if (varHit.vt == VT_DISPATCH)
        varHit.pdispVal->Release();
    EXPECT_EQ(S_FALSE, pBar->AccessibleHitTest(-3000, -3000, &varHit));
}

TEST_F(ServicesTest, DroppingAControlOntoItselfAndElsewhere)
{
    pBars->SetCustomizeMode(TRUE);
    const int nCount = pBar->GetControlCount();   // the three buttons and the bar's expand button
    CXTPControl* pOpen = pBar->GetControl(1);
    CRect rc = pOpen->GetRect();
    DROPEFFECT dropEffect = 0;

    // Barely moved: nothing changes.
    pBar->OnCustomizeDrop(pOpen, dropEffect, rc.CenterPoint() + CPoint(2, 0), rc.CenterPoint());
    EXPECT_EQ((DROPEFFECT)5, dropEffect);
    EXPECT_FALSE(pOpen->GetBeginGroup());
    EXPECT_EQ(nCount, pBar->GetControlCount());

    // Just past its own centre: it begins a group.
    pBar->OnCustomizeDrop(pOpen, dropEffect, rc.CenterPoint() + CPoint(6, 0), rc.CenterPoint() - CPoint(4, 0));
    EXPECT_TRUE(pOpen->GetBeginGroup());
    EXPECT_EQ(nCount, pBar->GetControlCount());

    // Onto the first control's left side: a copy lands before it.
    CRect rcNew = pBar->GetControl(0)->GetRect();
    CXTPControl* pSave = pBar->GetControl(2);
    pBar->OnCustomizeDrop(pSave, dropEffect, CPoint(rcNew.left + 1, rcNew.CenterPoint().y), CPoint(0, 0));
    ASSERT_EQ(nCount + 1, pBar->GetControlCount());
    EXPECT_EQ(103, pBar->GetControl(0)->GetID());
    EXPECT_EQ(pBar->GetControl(0), pBars->GetDragControl());

    // Drag-over shows the marker; leaving clears it.
    EXPECT_NE((DROPEFFECT)DROPEFFECT_NONE, pBar->OnCustomizeDragOver(pSave, rcNew.CenterPoint()));
    EXPECT_FALSE(pBar->m_rcMarker.IsRectEmpty());
    pBar->OnCustomizeDragLeave();
    EXPECT_TRUE(pBar->m_rcMarker.IsRectEmpty());
    pBars->SetCustomizeMode(FALSE);
}

// The dragged control alone decides where it may land: the toolbars list
// (a list placeholder) goes into a menu but onto no toolbar, wherever the
// pointer is on it, and a plain button is taken even over a placeholder
// that sits on a toolbar.
TEST_F(ServicesTest, TheDraggedControlDecidesWhetherABarTakesIt)
{
    pBars->SetCustomizeMode(TRUE);
    CXTPPopupBar* pMenu = CXTPPopupBar::CreatePopupBar(pBars);
    CXTPControl* pList = pMenu->GetControls()->Add(xtpControlButton, XTP_ID_TOOLBARLIST);
    ASSERT_TRUE(pList->IsKindOf(RUNTIME_CLASS(CXTPControlToolbars)));
    CXTPControl* pOnBar = pBar->GetControls()->Add(xtpControlButton, XTP_ID_TOOLBARLIST);
    pBar->OnRecalcLayout();
    const int nCount = pBar->GetControlCount();
    CXTPControl* pOpen = pBar->GetControl(1);
    const CPoint ptOpen = pOpen->GetRect().CenterPoint();
    CRect rcClient;
    pBar->GetClientRect(&rcClient);
    const CPoint ptEmpty(rcClient.right - 2, rcClient.CenterPoint().y);
    ASSERT_TRUE(pBar->GetControls()->HitTest(ptEmpty) == NULL) << "a place on the bar with no control";

    // Over a button and over no control: refused, with no marker.
    for (CPoint pt : {ptOpen, ptEmpty})
    {
        EXPECT_EQ((DROPEFFECT)DROPEFFECT_NONE, pBar->OnCustomizeDragOver(pList, pt)) << pt.x;
        EXPECT_TRUE(pBar->m_rcMarker.IsRectEmpty());
        EXPECT_FALSE(pBar->OnCustomizeDragEnter(pList, pt));
    }
    // Dropped all the same: nothing lands and the effect says so.
    DROPEFFECT dropEffect = DROPEFFECT_MOVE;
    pBar->OnCustomizeDrop(pList, dropEffect, ptOpen, CPoint(0, 0));
    EXPECT_EQ((DROPEFFECT)DROPEFFECT_NONE, dropEffect);
    EXPECT_EQ(nCount, pBar->GetControlCount());

    // A plain button over the placeholder on the bar is taken.
    ASSERT_TRUE(pOnBar->IsVisible());
    const CPoint ptPlaceholder = pOnBar->GetRect().CenterPoint();
    EXPECT_EQ(pOnBar, pBar->GetControls()->HitTest(ptPlaceholder));
    EXPECT_NE((DROPEFFECT)DROPEFFECT_NONE, pBar->OnCustomizeDragOver(pOpen, ptPlaceholder));
    EXPECT_FALSE(pBar->m_rcMarker.IsRectEmpty());
    pBar->OnCustomizeDragLeave();

    // Into a menu the list goes.
    EXPECT_TRUE(pList->AcceptsCustomizeDrop(pMenu, CPoint(0, 0)));
    EXPECT_FALSE(pList->AcceptsCustomizeDrop(pBar, CPoint(0, 0)));
    pMenu->InternalRelease();
    pBars->SetCustomizeMode(FALSE);
}

// In customize mode a screen reader's default action on a menu opens it for
// its items to be customised and selects it, and starts no drag, which the
// next mouse move would end by taking the menu off its bar.
TEST_F(ServicesTest, InCustomizeModeTheDefaultActionOnAMenuOpensIt)
{
    CXTPControlPopup* pMenu = (CXTPControlPopup*)pBar->GetControls()->Add(xtpControlPopup, 0);
    pMenu->SetCaption("&Extras");
    CXTPPopupBar* pItems = CXTPPopupBar::CreatePopupBar(pBars);
    pItems->GetControls()->Add(xtpControlButton, 2001)->SetCaption("Inside");
    pMenu->SetCommandBar(pItems);
    pItems->InternalRelease();
    pFrame->RecalcLayout();
    pBars->SetCustomizeMode(TRUE);
    VARIANT varSelf;
    varSelf.vt = VT_I4;
    varSelf.lVal = CHILDID_SELF;
    EXPECT_EQ(S_OK, pMenu->AccessibleDoDefaultAction(varSelf));
    testsupport::Pump(200);
    EXPECT_TRUE(pMenu->GetPopuped()) << "the menu does not open";
    EXPECT_EQ(pMenu, pBars->GetDragControl());
    EXPECT_FALSE(pBars->GetDragTracker()->IsDragging());
    pBars->ClosePopups();
    pBars->SetCustomizeMode(FALSE);
}

// The reader's run of this program (support/screenreader.h): it serves the
// test that started it and is skipped in the program's own runs.
TEST(ServicesReader, Serve)
{
    if (!testsupport::IsReaderRun())
        GTEST_SKIP() << "run as the reader by the screen-reader tests";
    EXPECT_EQ(0, testsupport::ServeAsReader());
}

// A screen reader in another program opens a menu of the menu bar by the
// title's default action: every event resolves, and the last focus event is
// on the menu's first item, where the keyboard is, as when the keyboard
// opened it; the names read have no '&'.
TEST_F(ServicesTest, AScreenReadersDefaultActionOnAMenuTitleEndsTheFocusOnTheFirstItem)
{
    CXTPMenuBar* pMenuBar = pBars->CreateMenuBar("Menu Bar", 0);
    ASSERT_TRUE(pMenuBar != NULL);
    CXTPControlPopup* pFile = (CXTPControlPopup*)pMenuBar->GetControls()->Add(xtpControlPopup, 0);
    pFile->SetCaption("&File");
    CXTPPopupBar* pItems = CXTPPopupBar::CreatePopupBar(pBars);
    pItems->GetControls()->Add(xtpControlButton, 201)->SetCaption("&New");
    pItems->GetControls()->Add(xtpControlButton, 202)->SetCaption("&Open...");
    pFile->SetCommandBar(pItems);
    pItems->InternalRelease();
    pFrame->RecalcLayout();
    testsupport::Pump(100);

    // The program hands its objects to the reader through COM, as a program
    // with OLE started does.
    ::CoInitialize(NULL);
    testsupport::ScreenReader reader("ServicesReader.Serve", [] { testsupport::Pump(10); });
    ASSERT_TRUE(reader.IsReady()) << "the reader did not start or could not hook the events";
    reader.TakeEvents();
    EXPECT_EQ(S_OK, reader.DoDefaultAction(pMenuBar->m_hWnd, pFile->GetIndex() + 1, CHILDID_SELF).hr);
    for (int i = 0; i < 100 && !pFile->GetPopuped(); i++)
        testsupport::Pump(20);
    ASSERT_TRUE(pFile->GetPopuped()) << "the menu did not open";
    testsupport::Pump(100);
    std::vector<testsupport::ReaderObject> events = reader.TakeEvents();
    const testsupport::ReaderObject* pLast = NULL;
    for (const testsupport::ReaderObject& o : events)
    {
        EXPECT_EQ(S_OK, o.hr) << "event 0x" << std::hex << o.dwEvent << " does not resolve";
        EXPECT_EQ(std::wstring::npos, o.strName.find(L'&'));
        if (o.IsFocus())
            pLast = &o;
    }
    ASSERT_TRUE(pLast != NULL) << "no focus event";
    EXPECT_EQ(pItems->m_hWnd, pLast->hWnd);
    EXPECT_EQ(ROLE_SYSTEM_MENUITEM, pLast->nRole);
    EXPECT_EQ(L"New", pLast->strName);
    pBars->ClosePopups();
    testsupport::Pump(50);
    ::CoUninitialize();
}
