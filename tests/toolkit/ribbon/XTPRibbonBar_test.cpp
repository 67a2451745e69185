// The ribbon bar on a test frame: its theme's fonts and heights, its size
// rules, key tips and access keys, minimising, the owner's veto of a tab
// change, the quick-access toolbar, the stored state (schemas,
// binary archives, damaged stores), screen tips, and no growth of GDI or
// USER objects.
// ctest: run-serial
#include "ribbon_testframe.h"

#include "XTPCommandBarKeyboardTip.h"
#include "XTPControlAction.h"
#include "XTPPopupBar.h"
#include "XTPPropExchange.h"
#include "XTPRibbonSystemButton.h"
#include "XTPToolTipContext.h"
#include "resource.h"
#include "support/canvas.h"
#include "support/mouseinput.h"
#include "support/tempfolder.h"

#include <stdlib.h>

#include <map>

using namespace ribbontest;

namespace
{
class RibbonBarTest : public RibbonFrameTest
{
protected:
    // The stored form of the ribbon's state in a binary archive.
    std::vector<BYTE> Store(int nSchema = 20)
    {
        CMemFile file;
        try
        {
            CArchive ar(&file, CArchive::store);
            CXTPPropExchangeArchive px(ar);
            px.m_nSchema = nSchema;
            m_pRibbon->DoPropExchange(&px);
            ar.Close();
        }
        catch (CException* e)
        {
            char szError[256] = {};
            e->GetErrorMessage(szError, 255);
            ADD_FAILURE() << "storing failed: " << szError << " " << e->GetRuntimeClass()->m_lpszClassName;
            e->Delete();
        }
        std::vector<BYTE> data((size_t)file.GetLength());
        file.SeekToBegin();
        file.Read(data.data(), (UINT)data.size());
        return data;
    }
    // Loads a stored form; FALSE when the archive reported damage.
    BOOL Load(const std::vector<BYTE>& data, int nSchema = 20)
    {
        CMemFile file((BYTE*)data.data(), (UINT)data.size());
        BOOL bResult = TRUE;
        try
        {
            CArchive ar(&file, CArchive::load);
            CXTPPropExchangeArchive px(ar);
            px.m_nSchema = nSchema;
            m_pRibbon->DoPropExchange(&px);
        }
        catch (CException* e)
        {
            e->Delete();
            bResult = FALSE;
        }
        return bResult;
    }
};
} // namespace

TEST_F(RibbonBarTest, ThemeMetricsFollowTheFontSize)
{
    CXTPRibbonTheme* pTheme = m_pFrame->GetTheme();
    HDC hDC = ::GetDC(NULL);
    int nDpi = ::GetDeviceCaps(hDC, LOGPIXELSY);
    ::ReleaseDC(NULL, hDC);
    ASSERT_EQ(96, nDpi);
    NONCLIENTMETRICSA ncm = {};
    ncm.cbSize = sizeof(ncm);
    ::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0);
    ASSERT_LE(abs(ncm.lfMenuFont.lfHeight), 12) << "the metrics below assume a small menu font";

    pTheme->SetFontHeight(0);
    EXPECT_EQ(22, pTheme->GetControlHeight());
    EXPECT_EQ(22, pTheme->GetLargeButtonHeight());
    EXPECT_EQ(23, pTheme->GetTabHeight());
    EXPECT_EQ(17, pTheme->GetGroupCaptionHeight());
    EXPECT_EQ(12, pTheme->GetSplitDropDownWidth());
    EXPECT_EQ(6, pTheme->BaseTheme());

    pTheme->SetFontHeight(14);
    EXPECT_EQ(27, pTheme->GetControlHeight());
    EXPECT_EQ(28, pTheme->GetLargeButtonHeight());
    EXPECT_EQ(30, pTheme->GetTabHeight());
    EXPECT_EQ(21, pTheme->GetGroupCaptionHeight());
    EXPECT_EQ(13, pTheme->GetSplitDropDownWidth());
    // A size of 11 or below is raised to 11.
    pTheme->SetFontHeight(9);
    EXPECT_EQ(23, pTheme->GetTabHeight());
    pTheme->SetFontHeight(0);

    EXPECT_EQ(CString("BLUE"), CXTPRibbonTheme::GetContextColorName(1));
    EXPECT_EQ(CString("ORANGE"), CXTPRibbonTheme::GetContextColorName(7));
    EXPECT_EQ(CString(""), CXTPRibbonTheme::GetContextColorName(8));
    EXPECT_EQ(CString(""), CXTPRibbonTheme::GetContextColorName(0));
}

TEST_F(RibbonBarTest, BelowTwoHundredFiftyPixelsTheRibbonHides)
{
    m_pFrame->BuildSample();
    CSize sz = m_pRibbon->CalcDockedSize(249, LM_HORZ | LM_HORZDOCK | LM_COMMIT);
    EXPECT_EQ(CSize(249, 0), sz);
    EXPECT_FALSE(m_pRibbon->IsRibbonShown());
    sz = m_pRibbon->CalcDockedSize(250, LM_HORZ | LM_HORZDOCK | LM_COMMIT);
    EXPECT_EQ(250, sz.cx);
    EXPECT_GT(sz.cy, 0);
    EXPECT_TRUE(m_pRibbon->IsRibbonShown());
}

TEST_F(RibbonBarTest, HeightsOfTheRowsAddUp)
{
    m_pRibbon->ShowCaption(FALSE);
    // Tabs but none selected: the tab row alone.
    EXPECT_EQ(23, m_pRibbon->CalcDockedSize(600, LM_HORZ | LM_HORZDOCK).cy);
    m_pRibbon->ShowQuickAccessBelow(TRUE);
    EXPECT_EQ(50, m_pRibbon->CalcDockedSize(600, LM_HORZ | LM_HORZDOCK).cy);
    m_pRibbon->ShowQuickAccessBelow(FALSE);
    m_pRibbon->SetGroupsVisible(FALSE);
    EXPECT_EQ(25, m_pRibbon->CalcDockedSize(600, LM_HORZ | LM_HORZDOCK).cy);
    m_pRibbon->SetGroupsVisible(TRUE);

    // A selected tab adds the groups: 3 x 22 + 17 + 10.
    m_pRibbon->AddTab(_T("Home"));
    EXPECT_EQ(23 + 93, m_pRibbon->CalcDockedSize(600, LM_HORZ | LM_HORZDOCK).cy);
    m_pRibbon->SetGroupsHeight(50);
    EXPECT_EQ(23 + 50, m_pRibbon->CalcDockedSize(600, LM_HORZ | LM_HORZDOCK).cy);
}

TEST_F(RibbonBarTest, TheRibbonTakesTheTopRowOfTheFrame)
{
    m_pFrame->BuildSample();
    EXPECT_EQ(xtpBarTypeRibbon, m_pRibbon->GetType());
    EXPECT_TRUE(m_pRibbon->IsRibbonBar());
    CRect rcRibbon, rcClient;
    m_pRibbon->GetWindowRect(&rcRibbon);
    m_pFrame->GetClientRect(&rcClient);
    m_pFrame->ClientToScreen(&rcClient);
    EXPECT_EQ(rcClient.left, rcRibbon.left);
    EXPECT_EQ(rcClient.top, rcRibbon.top);
    EXPECT_EQ(rcClient.Width(), rcRibbon.Width());
    EXPECT_EQ(m_pRibbon->GetCaptionHeight() + 23 + 93, rcRibbon.Height());
    // The first tab's groups are laid out inside the groups area.
    CXTPRibbonGroup* pGroup = m_pRibbon->GetTab(0)->GetGroups()->GetAt(0);
    CRect rcGroups = m_pRibbon->GetGroupsRect();
    EXPECT_TRUE(rcGroups.PtInRect(pGroup->GetRect().TopLeft()));
    EXPECT_EQ(rcGroups.left + 4, pGroup->GetRect().left);
    // Controls of the other tabs are hidden as "on another tab".
    CXTPControl* pOther = m_pRibbon->GetTab(1)->GetGroups()->GetAt(0)->GetAt(0);
    EXPECT_TRUE((pOther->GetHideFlags() & xtpHideRibbonTab) != 0);
    EXPECT_FALSE(pOther->IsVisible());
}

TEST_F(RibbonBarTest, AToolbarDroppedOnTheRibbonsRowGoesBelowIt)
{
    m_pFrame->BuildSample();
    CXTPCommandBars* pBars = m_pFrame->GetCommandBars();
    CXTPToolBar* pTools = pBars->Add(_T("Tools"), xtpBarTop);
    ASSERT_TRUE(pTools != NULL);
    pTools->GetControls()->Add(xtpControlButton, ID_NEW_PUZZLE);
    m_pFrame->Settle();
    CRect rcRibbon;
    m_pRibbon->GetWindowRect(&rcRibbon);
    // Dropped at the ribbon's top-left corner: it may not share the ribbon's row.
    CRect rcDrop(rcRibbon.left + 5, rcRibbon.top, rcRibbon.left + 60, rcRibbon.top + 24);
    pBars->DockCommandBar(pTools, &rcDrop, m_pRibbon->GetDockBar());
    m_pFrame->Settle();
    CRect rcTools;
    pTools->GetWindowRect(&rcTools);
    m_pRibbon->GetWindowRect(&rcRibbon);
    EXPECT_GE(rcTools.top, rcRibbon.bottom);
}

TEST_F(RibbonBarTest, QuickAccessTipsAreNumbersThenZeroNumbers)
{
    m_pFrame->BuildSample();
    CXTPRibbonQuickAccessControls* pQuick = m_pRibbon->GetQuickAccessControls();
    pQuick->RemoveAll();
    for (int i = 0; i < 19; i++)
        pQuick->Add(xtpControlButton, ID_NEW_PUZZLE)->SetStyle(xtpButtonIcon);
    m_pRibbon->ShowQuickAccessBelow(TRUE);
    m_pFrame->Settle();
    CXTPCommandBars* pBars = m_pFrame->GetCommandBars();
    pBars->ShowKeyboardTips(m_pRibbon, 1);

    std::vector<CString> quick;
    std::vector<CString> tabs;
    for (INT_PTR i = 0; i < pBars->m_arrKeyboardTips.GetSize(); i++)
    {
        CXTPCommandBarKeyboardTip* pTip = (CXTPCommandBarKeyboardTip*)pBars->m_arrKeyboardTips[i];
        if (DYNAMIC_DOWNCAST(CXTPRibbonTab, pTip->m_pOwner) != NULL)
            tabs.push_back(pTip->GetCaption());
        else
            quick.push_back(pTip->GetCaption());
    }
    pBars->HideKeyboardTips();
    std::vector<CString> expected = {"1", "2", "3", "4", "5", "6", "7", "8", "9",
                                     "01", "02", "03", "04", "05", "06", "07", "08", "09"};
    EXPECT_EQ(expected, quick);
    // Tabs show their access letters (the two contextual ones too).
    std::vector<CString> expectedTabs = {"H", "I", "V", "L", "F"};
    EXPECT_EQ(expectedTabs, tabs);
}

TEST_F(RibbonBarTest, AnAccessKeySelectsItsTabAndStartsTracking)
{
    m_pFrame->BuildSample();
    EXPECT_FALSE(m_pRibbon->OnAcceleratorKey('Q'));
    EXPECT_TRUE(m_pRibbon->OnAcceleratorKey('V'));
    EXPECT_EQ(m_pRibbon->GetTab(2), m_pRibbon->GetSelectedTab());
    EXPECT_TRUE(m_pRibbon->IsTrackingMode());
    EXPECT_TRUE(m_pRibbon->GetControlTab()->IsFocused());
    // The tab's group controls got their tips (level 2).
    CXTPCommandBars* pBars = m_pFrame->GetCommandBars();
    EXPECT_EQ(2, pBars->GetKeyboardTipsLevel());
    EXPECT_GT(pBars->m_arrKeyboardTips.GetSize(), 0);
    pBars->HideKeyboardTips();
    m_pRibbon->SetTrackingMode(FALSE);
    EXPECT_FALSE(m_pRibbon->GetControlTab()->IsFocused());
    // Alt alone puts the keyboard on the tab strip.
    EXPECT_TRUE(m_pRibbon->OnAcceleratorKey(VK_MENU));
    EXPECT_TRUE(m_pRibbon->IsTrackingMode());
    EXPECT_EQ(m_pRibbon->GetControlTab(), m_pRibbon->GetSelectedControl());
    m_pRibbon->SetTrackingMode(FALSE);
}

TEST_F(RibbonBarTest, DoubleClickOnTheSelectedTabMinimisesAndRestores)
{
    m_pFrame->BuildSample();
    CXTPRibbonTab* pHome = m_pRibbon->GetTab(0);
    CPoint pt = pHome->GetRect().CenterPoint();
    m_pRibbon->SendMessage(WM_LBUTTONDBLCLK, 0, MAKELPARAM(pt.x, pt.y));
    EXPECT_TRUE(m_pRibbon->IsMinimized());
    EXPECT_EQ(0, m_pRibbon->GetGroupsHeight());
    EXPECT_EQ(NULL, m_pRibbon->GetSelectedTab());
    m_pFrame->Settle();
    CRect rc;
    m_pRibbon->GetWindowRect(&rc);
    EXPECT_EQ(m_pRibbon->GetCaptionHeight() + 23, rc.Height());

    m_pRibbon->SendMessage(WM_LBUTTONDBLCLK, 0, MAKELPARAM(pt.x, pt.y));
    EXPECT_FALSE(m_pRibbon->IsMinimized());
    EXPECT_EQ(pHome, m_pRibbon->GetSelectedTab());
    EXPECT_EQ(93, m_pRibbon->GetGroupsHeight());

    // Not allowed: nothing happens.
    m_pRibbon->AllowMinimize(FALSE);
    m_pRibbon->SendMessage(WM_LBUTTONDBLCLK, 0, MAKELPARAM(pt.x, pt.y));
    EXPECT_FALSE(m_pRibbon->IsMinimized());
}

TEST_F(RibbonBarTest, TheOwnersVetoKeepsTheOldTab)
{
    m_pFrame->BuildSample();
    CXTPRibbonTab* pHome = m_pRibbon->GetTab(0);
    CXTPControl* pHomeButton = pHome->GetGroups()->GetAt(0)->GetAt(0);
    m_pFrame->m_arrNotifications.clear();
    m_pFrame->m_lVetoTabChange = 1;
    m_pRibbon->SetCurSel(1);
    EXPECT_EQ(pHome, m_pRibbon->GetSelectedTab());
    EXPECT_TRUE(pHomeButton->IsVisible());
    ASSERT_EQ(1u, m_pFrame->m_arrNotifications.size());
    EXPECT_EQ(XTP_RIBBON_TCN_SELCHANGING, m_pFrame->m_arrNotifications[0]);

    m_pFrame->m_arrNotifications.clear();
    m_pFrame->m_lVetoTabChange = 0;
    m_pRibbon->SetCurSel(1);
    EXPECT_EQ(m_pRibbon->GetTab(1), m_pRibbon->GetSelectedTab());
    EXPECT_FALSE(pHomeButton->IsVisible());
    std::vector<int> expected = {XTP_RIBBON_TCN_SELCHANGING, XTP_RIBBON_TCN_SELCHANGED, CBN_XTP_EXECUTE};
    EXPECT_EQ(expected, m_pFrame->m_arrNotifications);
}

TEST_F(RibbonBarTest, AddAndRemoveThroughTheQuickAccessCommands)
{
    m_pFrame->BuildSample();
    CXTPControl* pPrint = m_pRibbon->GetTab(0)->GetGroups()->GetAt(0)->GetAt(3);
    ASSERT_EQ(ID_FILE_PRINT, pPrint->GetID());
    ASSERT_TRUE(m_pRibbon->IsAllowQuickAccessControl(pPrint));
    EXPECT_FALSE(m_pRibbon->IsQuickAccessControl(pPrint));

    // 9606 on the control: a clone joins the toolbar.
    CXTPPopupBar* pMenu = m_pRibbon->CreateContextMenu(pPrint);
    ASSERT_TRUE(pMenu != NULL);
    CXTPControl* pAdd = pMenu->GetControls()->FindControl(XTP_ID_RIBBONCUSTOMIZE_ADD);
    CXTPControl* pRemove = pMenu->GetControls()->FindControl(XTP_ID_RIBBONCUSTOMIZE_REMOVE);
    ASSERT_TRUE(pAdd != NULL && pRemove != NULL);
    EXPECT_TRUE(pAdd->IsVisible());
    EXPECT_TRUE(pAdd->GetEnabled());
    EXPECT_FALSE(pRemove->IsVisible());
    NMXTPCONTROL nm = {};
    nm.pControl = pAdd;
    m_pRibbon->SendMessage(WM_XTP_COMMAND, XTP_ID_RIBBONCUSTOMIZE_ADD, (LPARAM)&nm);
    pMenu->InternalRelease();
    std::vector<int> ids = {ID_NEW_PUZZLE, ID_SAVE_PUZZLE, ID_UNDO_MOVE, ID_FILE_PRINT};
    EXPECT_EQ(ids, QuickIds());
    CXTPControl* pClone = m_pRibbon->GetQuickAccessControls()->GetAt(3);
    EXPECT_NE(pPrint, pClone);
    EXPECT_EQ(NULL, pClone->GetRibbonGroup());
    EXPECT_TRUE(m_pRibbon->IsQuickAccessControl(pClone));
    // A second copy is refused.
    EXPECT_FALSE(m_pRibbon->IsAllowQuickAccessControl(pPrint));

    // 9605 on the clone takes it away again.
    pMenu = m_pRibbon->CreateContextMenu(pClone);
    pRemove = pMenu->GetControls()->FindControl(XTP_ID_RIBBONCUSTOMIZE_REMOVE);
    ASSERT_TRUE(pRemove != NULL);
    EXPECT_TRUE(pRemove->IsVisible());
    nm.pControl = pRemove;
    m_pRibbon->SendMessage(WM_XTP_COMMAND, XTP_ID_RIBBONCUSTOMIZE_REMOVE, (LPARAM)&nm);
    pMenu->InternalRelease();
    ids.pop_back();
    EXPECT_EQ(ids, QuickIds());
}

// A gallery without a popup of its own gets one that shows it, so that its
// button on the quick-access toolbar opens something; the button, given the
// icon style (its data), shows the caption of a gallery without an icon.
TEST_F(RibbonBarTest, AGalleryOnTheQuickAccessToolbarBecomesAPopupButton)
{
    m_pFrame->BuildSample();
    CXTPRibbonGroup* pGroup = m_pRibbon->GetTab(0)->GetGroups()->GetAt(2);
    CXTPControlGallery* pGallery = new CXTPControlGallery();
    pGroup->Add(pGallery, 2090);
    pGallery->SetCaption(_T("Styles"));
    CXTPPopupBar* pMenu = m_pRibbon->CreateContextMenu(pGallery);
    ASSERT_TRUE(pMenu != NULL);
    NMXTPCONTROL nm = {};
    nm.pControl = pMenu->GetControls()->FindControl(XTP_ID_RIBBONCUSTOMIZE_ADD);
    ASSERT_TRUE(nm.pControl != NULL);
    m_pRibbon->SendMessage(WM_XTP_COMMAND, XTP_ID_RIBBONCUSTOMIZE_ADD, (LPARAM)&nm);
    pMenu->InternalRelease();
    CXTPRibbonQuickAccessControls* pQuick = m_pRibbon->GetQuickAccessControls();
    CXTPControl* pClone = pQuick->GetAt(pQuick->GetCount() - 1);
    EXPECT_EQ(2090, pClone->GetID());
    EXPECT_EQ(xtpControlGallery, pClone->GetType());
    EXPECT_EQ(xtpButtonIcon, pClone->m_buttonStyle);
    EXPECT_EQ(xtpButtonIcon, pClone->GetStyle());
    EXPECT_EQ(xtpButtonCaption, pClone->GetShownStyle());
    CXTPCommandBar* pPopup = ((CXTPControlPopup*)pClone)->GetCommandBar();
    ASSERT_TRUE(pPopup != NULL);
    ASSERT_EQ(1, pPopup->GetControlCount());
    CXTPControlGallery* pShown = DYNAMIC_DOWNCAST(CXTPControlGallery, pPopup->GetControl(0));
    ASSERT_TRUE(pShown != NULL);
    EXPECT_TRUE(pShown->IsInPlace());
}

TEST_F(RibbonBarTest, TheStoredStateRoundTripsAndOldSchemasKeepMinimizedOut)
{
    m_pFrame->BuildSample();
    m_pRibbon->ShowQuickAccessBelow(TRUE);
    m_pRibbon->SetMinimized(TRUE);
    m_pRibbon->GetQuickAccessControls()->Add(xtpControlButton, ID_BRANCH_BEGIN);
    std::vector<BYTE> data20 = Store(20);
    std::vector<BYTE> data18 = Store(18);

    m_pRibbon->ShowQuickAccessBelow(FALSE);
    m_pRibbon->SetMinimized(FALSE);
    m_pRibbon->GetQuickAccessControls()->RemoveAll();
    ASSERT_TRUE(Load(data20, 20));
    EXPECT_TRUE(m_pRibbon->IsQuickAccessBelow());
    EXPECT_TRUE(m_pRibbon->IsMinimized());
    std::vector<int> ids = {ID_NEW_PUZZLE, ID_SAVE_PUZZLE, ID_UNDO_MOVE, ID_BRANCH_BEGIN};
    EXPECT_EQ(ids, QuickIds());
    // The loaded controls are on the ribbon too.
    for (int i = 0; i < m_pRibbon->GetQuickAccessControls()->GetCount(); i++)
        EXPECT_EQ((CXTPCommandBar*)m_pRibbon, m_pRibbon->GetQuickAccessControls()->GetAt(i)->GetParent());

    m_pRibbon->ShowQuickAccessBelow(FALSE);
    m_pRibbon->SetMinimized(FALSE);
    ASSERT_TRUE(Load(data18, 18));
    EXPECT_TRUE(m_pRibbon->IsQuickAccessBelow());
    EXPECT_FALSE(m_pRibbon->IsMinimized());
}

TEST_F(RibbonBarTest, ADamagedQuickAccessListChangesNothing)
{
    m_pFrame->BuildSample();
    std::vector<int> before = QuickIds();
    testsupport::CTempFolder folder;
    CString strFile = folder.Path("ribbon.ini").c_str();
    {
        CXTPPropExchangeIniFile px(FALSE, NULL, "Ribbon");
        px.SetFileName(strFile);
        m_pRibbon->DoPropExchange(&px);
    }
    // The stored count claims 99,999 controls.
    ::WritePrivateProfileStringA("Ribbon\\QuickAccessControls", "Count", "99999", strFile);
    m_pRibbon->GetQuickAccessControls()->RemoveAll();
    m_pRibbon->GetQuickAccessControls()->Add(xtpControlButton, ID_BRANCH_REVERT);
    DWORD dwStart = ::GetTickCount();
    {
        CXTPPropExchangeIniFile px(TRUE, NULL, "Ribbon");
        px.SetFileName(strFile);
        m_pRibbon->DoPropExchange(&px);
    }
    EXPECT_LT(::GetTickCount() - dwStart, 2000u);
    std::vector<int> kept = {ID_BRANCH_REVERT};
    EXPECT_EQ(kept, QuickIds());
    for (int i = 0; i < m_pRibbon->GetControlCount(); i++)
        EXPECT_NE(-1, m_pRibbon->GetControl(i)->GetID());

    // The same store without the damage loads.
    ::WritePrivateProfileStringA("Ribbon\\QuickAccessControls", "Count", "3", strFile);
    {
        CXTPPropExchangeIniFile px(TRUE, NULL, "Ribbon");
        px.SetFileName(strFile);
        m_pRibbon->DoPropExchange(&px);
    }
    EXPECT_EQ(before, QuickIds());
}

TEST_F(RibbonBarTest, FuzzedArchivesLoadOrChangeNothing)
{
    m_pFrame->BuildSample();
    // Stored with both flags set, loaded over a ribbon with both clear: a
    // load that fails leaves them clear.
    m_pRibbon->ShowQuickAccessBelow(TRUE);
    m_pRibbon->SetMinimized(TRUE);
    std::vector<BYTE> stored = Store(20);
    m_pRibbon->ShowQuickAccessBelow(FALSE);
    m_pRibbon->SetMinimized(FALSE);
    std::vector<BYTE> data = Store(20);
    std::vector<int> before = QuickIds();
    srand(24);
    for (int nRound = 0; nRound < 60; nRound++)
    {
        std::vector<BYTE> damaged = data;
        int nChanges = 1 + rand() % 4;
        for (int i = 0; i < nChanges; i++)
            damaged[rand() % damaged.size()] ^= (BYTE)(1 + rand() % 255);
        if (nRound % 5 == 0)
            damaged.resize(rand() % damaged.size());
        BOOL bLoaded = Load(damaged, 20);
        std::vector<int> after = QuickIds();
        if (!bLoaded)
        {
            EXPECT_EQ(before, after) << "round " << nRound;
        }
        // The same damage to the state with the flags set.
        if (!bLoaded && nRound % 2 == 1 && stored.size() == data.size())
        {
            std::vector<BYTE> damagedFlags = stored;
            for (size_t i = 0; i < damaged.size() && i < stored.size(); i++)
                damagedFlags[i] = (BYTE)(stored[i] ^ (damaged[i] ^ data[i]));
            damagedFlags.resize(damaged.size());
            if (!Load(damagedFlags, 20))
            {
                EXPECT_FALSE(m_pRibbon->IsQuickAccessBelow()) << "round " << nRound;
                EXPECT_FALSE(m_pRibbon->IsMinimized()) << "round " << nRound;
                EXPECT_EQ(before, QuickIds()) << "round " << nRound;
            }
        }
        EXPECT_LE(after.size(), 10000u);
        // Whatever happened, the ribbon lays out and paints.
        m_pFrame->Settle();
        m_pRibbon->RedrawWindow();
        // The pristine state back.
        ASSERT_TRUE(Load(data, 20)) << "round " << nRound;
        ASSERT_EQ(before, QuickIds());
    }
}

TEST_F(RibbonBarTest, AQuickAccessCopyOfAGroupOutlivesItsGroup)
{
    m_pFrame->BuildSample();
    CXTPRibbonGroup* pGroup = m_pRibbon->GetTab(1)->GetGroups()->GetAt(0);
    CXTPRibbonGroupControlPopup* pButton = pGroup->GetControlGroupPopup();
    ASSERT_TRUE(pButton != NULL);
    EXPECT_EQ(pGroup, pButton->ResolvePopupGroup());
    CXTPControl* pClone = pButton->Clone(FALSE);
    m_pRibbon->GetQuickAccessControls()->Add(pClone, pButton->GetID());
    CXTPRibbonGroupControlPopup* pCopy = DYNAMIC_DOWNCAST(CXTPRibbonGroupControlPopup, pClone);
    ASSERT_TRUE(pCopy != NULL);
    EXPECT_EQ(pGroup, pCopy->ResolvePopupGroup());

    // The group goes with its tab's groups; the copy finds no group by its
    // id and opens a plain popup.
    m_pRibbon->GetTab(1)->GetGroups()->RemoveAll();
    EXPECT_EQ(NULL, pCopy->ResolvePopupGroup());
    EXPECT_TRUE(pCopy->OnSetPopup(TRUE) || TRUE);
    pCopy->OnSetPopup(FALSE);
    XTPMouseManager()->CloseAllTracked();

    // A new group of the same id is found by id.
    CXTPRibbonGroup* pNew = m_pRibbon->GetTab(1)->AddGroup(_T("Again"), 20);
    EXPECT_EQ(pNew, pCopy->ResolvePopupGroup());
}

TEST_F(RibbonBarTest, NoGdiOrUserGrowthOverRelayoutsAndTabSwitches)
{
    m_pFrame->BuildSample();
    // Step i: a tab and a width, and with bMenu the quick-access customise
    // menu made and dropped and the ribbon minimised and restored.
    auto Step = [&](int i, bool bMenu) {
        m_pRibbon->SetCurSel(i % 3);
        m_pRibbon->CalcDockedSize(300 + (i * 37) % 500, LM_HORZ | LM_HORZDOCK | LM_COMMIT);
        m_pRibbon->RedrawWindow();
        if (bMenu)
        {
            CXTPPopupBar* pMenu = m_pRibbon->CreateContextMenu(m_pRibbon->GetControlQuickAccessPopup());
            if (pMenu != NULL)
                pMenu->InternalRelease();
            m_pRibbon->SetMinimized(TRUE);
            m_pRibbon->SetMinimized(FALSE);
        }
    };
    // Warm-up: every tab at the widths below, and each other step once, so
    // that the theme's pictures and the pictures of disabled commands (made
    // once and kept) are in their stores before counting.
    for (int i = 0; i < 30; i++)
    {
        Step(i, i < 2);
        if (i < 2)
            m_pFrame->Settle();
    }
    m_pFrame->Settle();
    DWORD dwGdi = GdiMark();
    int nWindows = WindowCount();
    for (int i = 0; i < 200; i++)
        Step(i, i % 20 == 0);
    m_pFrame->Settle();
    EXPECT_LE(GdiMark(), dwGdi + 2);
    EXPECT_EQ(nWindows, WindowCount());
}

TEST_F(RibbonBarTest, TheWheelSwitchesTabsAndTabsHaveTooltips)
{
    m_pFrame->BuildSample();
    m_pRibbon->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, (WORD)(short)-120), 0);
    EXPECT_EQ(m_pRibbon->GetTab(1), m_pRibbon->GetSelectedTab());
    m_pRibbon->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
    EXPECT_EQ(m_pRibbon->GetTab(0), m_pRibbon->GetSelectedTab());
    // Nothing moves while something holds the mouse.
    XTPMouseManager()->LockMouseMove();
    m_pRibbon->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, (WORD)(short)-120), 0);
    XTPMouseManager()->UnlockMouseMove();
    EXPECT_EQ(m_pRibbon->GetTab(0), m_pRibbon->GetSelectedTab());

    CXTPRibbonTab* pInsert = m_pRibbon->GetTab(1);
    pInsert->SetTooltip(_T("Marks, notes and hints"));
    EXPECT_EQ(CString("Marks, notes and hints"), m_pRibbon->GetControlTab()->GetItemTooltip(pInsert));
    EXPECT_EQ(CString("&View"), m_pRibbon->GetControlTab()->GetItemTooltip(m_pRibbon->GetTab(2)));
}

TEST_F(RibbonBarTest, ACloneTakesTheQuickAccessControlsAndTheFlags)
{
    m_pFrame->BuildSample();
    m_pRibbon->ShowQuickAccessBelow(TRUE);
    CXTPRibbonBar* pClone = DYNAMIC_DOWNCAST(CXTPRibbonBar, m_pRibbon->Clone(TRUE));
    ASSERT_TRUE(pClone != NULL);
    EXPECT_TRUE(pClone->IsQuickAccessBelow());
    ASSERT_EQ(3, pClone->GetQuickAccessControls()->GetCount());
    EXPECT_EQ(ID_SAVE_PUZZLE, pClone->GetQuickAccessControls()->GetAt(1)->GetID());
    EXPECT_NE(m_pRibbon->GetQuickAccessControls()->GetAt(1), pClone->GetQuickAccessControls()->GetAt(1));
    EXPECT_EQ(xtpBarTypeRibbon, pClone->GetType());
    pClone->InternalRelease();
}

TEST_F(RibbonBarTest, ControlsThatALayoutBringsIntoViewShowTheirCommandsStateAtOnce)
{
    m_pFrame->BuildSample();
    m_pRibbon->SetCurSel(1);
    m_pFrame->SetWindowPos(NULL, 0, 0, 300, 400, SWP_NOMOVE | SWP_NOZORDER);
    m_pFrame->Settle();
    // A button of a group folded into its group button by the narrow frame.
    CXTPRibbonGroups* pGroups = m_pRibbon->GetTab(1)->GetGroups();
    CXTPControl* pFolded = NULL;
    for (int i = 0; i < pGroups->GetCount() && pFolded == NULL; i++)
        if (pGroups->GetAt(i)->IsReduced())
            pFolded = pGroups->GetAt(i)->GetAt(0);
    ASSERT_TRUE(pFolded != NULL);
    ASSERT_FALSE(pFolded->IsVisible());
    ASSERT_TRUE(pFolded->GetEnabled());

    // The command is disabled while its button is folded away; widening the
    // frame lays the bar out at once (no idle pass in between).
    m_pFrame->m_arrDisabled.push_back((UINT)pFolded->GetID());
    m_pFrame->SetWindowPos(NULL, 0, 0, 800, 400, SWP_NOMOVE | SWP_NOZORDER);
    ASSERT_TRUE(pFolded->IsVisible());
    EXPECT_FALSE(pFolded->GetEnabled());
}

TEST_F(RibbonBarTest, TheQuickAccessBandSpansTheWidthBelowAndItsCustomiseButtonKeepsAGapInTheCaption)
{
    m_pFrame->BuildSample();
    CXTPRibbonQuickAccessControls* pQuick = m_pRibbon->GetQuickAccessControls();
    CXTPControl* pCustomise = m_pRibbon->GetControlQuickAccessPopup();
    ASSERT_TRUE(m_pRibbon->IsCaptionVisible());
    ASSERT_EQ(3, pQuick->GetVisibleCount());
    CRect rcLast = pQuick->GetAt(2)->GetRect();
    EXPECT_EQ(rcLast.right + 12, pCustomise->GetRect().left);
    EXPECT_EQ(pCustomise->GetRect().right, m_pRibbon->GetQuickAccessRect().right);
    m_pRibbon->RedrawWindow();
    EXPECT_TRUE(SaveWindowPicture(m_pRibbon->m_hWnd, "quick_access_above"));

    // Below the groups: the band is the bar's width, the button follows the
    // controls directly.
    m_pRibbon->ShowQuickAccessBelow(TRUE);
    m_pFrame->Settle();
    CRect rcClient;
    m_pRibbon->GetClientRect(&rcClient);
    CRect rcQuick = m_pRibbon->GetQuickAccessRect();
    EXPECT_EQ(0, rcQuick.left);
    EXPECT_EQ(rcClient.right, rcQuick.right);
    EXPECT_EQ(m_pRibbon->GetGroupsRect().bottom, rcQuick.top);
    EXPECT_EQ(pQuick->GetAt(2)->GetRect().right, pCustomise->GetRect().left);
    m_pRibbon->RedrawWindow();
    EXPECT_TRUE(SaveWindowPicture(m_pRibbon->m_hWnd, "quick_access_below"));

    // With the frame drawn by the ribbon the gap stays.
    m_pRibbon->ShowQuickAccessBelow(FALSE);
    m_pRibbon->EnableFrameTheme(TRUE);
    m_pFrame->Settle();
    EXPECT_EQ(pQuick->GetAt(2)->GetRect().right + 12, pCustomise->GetRect().left);
    m_pRibbon->RedrawWindow();
    EXPECT_TRUE(SaveWindowPicture(m_pRibbon->m_hWnd, "quick_access_above_frame"));
}

namespace
{
// The placement rectangle the ribbon gives the tool at a point (empty when
// none), and the hit code.
INT_PTR ToolPlacement(CXTPRibbonBar* pRibbon, CPoint point, CRect& rcPlacement)
{
    XTP_TOOLTIP_TOOLINFO_EX extra;
    ZeroMemory(&extra, sizeof(extra));
    TOOLINFO ti;
    ZeroMemory(&ti, sizeof(ti));
    ti.cbSize = 44;
    ti.lParam = (LPARAM)&extra;
    INT_PTR nHit = pRibbon->OnToolHitTest(point, &ti);
    rcPlacement = extra.rcExclude;
    free(ti.lpszText);
    free(extra.pszTitle);
    free(extra.pszDescription);
    return nHit;
}

CXTPControl* GroupControl(CXTPRibbonBar* pRibbon, int nId)
{
    for (int i = 0; i < pRibbon->GetControlCount(); i++)
    {
        CXTPControl* pControl = pRibbon->GetControl(i);
        if (pControl->GetID() == nId && pControl->GetRibbonGroup() != NULL)
            return pControl;
    }
    return NULL;
}
} // namespace

namespace
{
// Runs inside the context menu's own loop: selects "More Commands..." and
// presses Return, or closes the menu when the item is missing.
bool g_bMoreSelected = false;
void CALLBACK ChooseMoreCommands(HWND, UINT, UINT_PTR nIDEvent, DWORD)
{
    ::KillTimer(NULL, nIDEvent);
    CXTPPopupBar* pMenu = TopTrackedPopup();
    int nMore = -1;
    for (int i = 0; pMenu != NULL && i < pMenu->GetControlCount(); i++)
        if (pMenu->GetControl(i)->GetID() == XTP_ID_RIBBONCUSTOMIZE_MORE && pMenu->GetControl(i)->IsVisible())
            nMore = i;
    g_bMoreSelected = nMore != -1 && pMenu->SetSelected(nMore, TRUE) && pMenu->GetSelected() == nMore;
    if (!g_bMoreSelected)
    {
        XTPMouseManager()->CloseAllTracked();
        return;
    }
    INPUT keys[2] = {};
    keys[0].type = keys[1].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = keys[1].ki.wVk = VK_RETURN;
    keys[0].ki.wScan = keys[1].ki.wScan = (WORD)::MapVirtualKey(VK_RETURN, 0);
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, keys, sizeof(INPUT));
}

// Ends a menu loop that is still running after its time.
void CALLBACK CloseMenusLeftOpen(HWND, UINT, UINT_PTR nIDEvent, DWORD)
{
    ::KillTimer(NULL, nIDEvent);
    XTPMouseManager()->CloseAllTracked();
}
} // namespace

// "More Commands..." chosen with Return in the context menu of a
// quick-access control runs once the menu has closed and the key is spent:
// the dialog it opens does not take the same Return and answer itself.
TEST_F(RibbonBarTest, MoreCommandsChosenWithReturnRunsAfterTheKeyIsSpent)
{
    m_pFrame->BuildSample();
    m_pFrame->SetForegroundWindow();
    m_pFrame->Settle();
    ASSERT_EQ(m_pFrame->m_hWnd, ::GetForegroundWindow());
    // The command runs its own message loop for a while, as a dialog does,
    // and notes the keys that loop gets.
    int nRuns = 0;
    BOOL bMenuOpenAtRun = FALSE;
    std::vector<std::pair<UINT, WPARAM>> keysSeen;
    m_pFrame->m_fnMoreCommands = [&]() {
        nRuns++;
        bMenuOpenAtRun = TopTrackedPopup() != NULL;
        DWORD dwEnd = ::GetTickCount() + 200;
        while ((int)(dwEnd - ::GetTickCount()) > 0)
        {
            MSG msg;
            while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
            {
                if (msg.message == WM_KEYDOWN || msg.message == WM_CHAR)
                    keysSeen.push_back(std::make_pair(msg.message, msg.wParam));
                ::TranslateMessage(&msg);
                ::DispatchMessage(&msg);
            }
            ::Sleep(10);
        }
    };

    // The menu runs its own loop until it closes.
    CXTPControl* pQuickUndo = m_pRibbon->GetQuickAccessControls()->GetAt(2);
    g_bMoreSelected = false;
    ::SetTimer(NULL, 0, 100, &ChooseMoreCommands);
    UINT_PTR nSafety = ::SetTimer(NULL, 0, 3000, &CloseMenusLeftOpen);
    m_pRibbon->ShowContextMenu(pQuickUndo->GetRect().CenterPoint(), pQuickUndo);
    ::KillTimer(NULL, nSafety);
    ASSERT_TRUE(g_bMoreSelected) << "no More Commands in the context menu";
    ASSERT_TRUE(PumpUntil([&]() { return nRuns > 0; })) << "More Commands did not run";
    PumpAndIdle();
    EXPECT_EQ(1, nRuns);
    EXPECT_FALSE(bMenuOpenAtRun) << "the command ran while the menu was open";
    for (const auto& key : keysSeen)
        EXPECT_NE((WPARAM)(key.first == WM_CHAR ? '\r' : VK_RETURN), key.second) << "the command's loop got Return";
    EXPECT_EQ(NULL, TopTrackedPopup());
    m_pFrame->m_fnMoreCommands = nullptr;
}

TEST_F(RibbonBarTest, ScreenTipsOfGroupControlsOpenBelowTheGroups)
{
    m_pFrame->BuildSample();
    m_pFrame->SetForegroundWindow();
    m_pFrame->Settle();
    CXTPToolTipContext* pContext = m_pFrame->GetCommandBars()->GetToolTipContext();
    ASSERT_TRUE(pContext != NULL);
    pContext->ShowTitleAndDescription(TRUE);
    CXTPControl* pUndo = GroupControl(m_pRibbon, ID_UNDO_MOVE);
    ASSERT_TRUE(pUndo != NULL);
    pUndo->SetDescription(_T("Takes the last move back."));

    CRect rcPlacement;
    EXPECT_EQ(ID_UNDO_MOVE, ToolPlacement(m_pRibbon, pUndo->GetRect().CenterPoint(), rcPlacement));
    EXPECT_EQ(m_pRibbon->GetGroupsRect(), rcPlacement);
    // The quick-access copy of the same command keeps the tip at the cursor.
    CXTPControl* pQuickUndo = m_pRibbon->GetQuickAccessControls()->GetAt(2);
    EXPECT_EQ(ID_UNDO_MOVE, ToolPlacement(m_pRibbon, pQuickUndo->GetRect().CenterPoint(), rcPlacement));
    EXPECT_TRUE(rcPlacement.IsRectEmpty());
    // Plain tips (no title and description) stay at the cursor too.
    pContext->ShowTitleAndDescription(FALSE);
    EXPECT_EQ(ID_UNDO_MOVE, ToolPlacement(m_pRibbon, pUndo->GetRect().CenterPoint(), rcPlacement));
    EXPECT_TRUE(rcPlacement.IsRectEmpty());
    pContext->ShowTitleAndDescription(TRUE);

    // The pointer resting on the button: the tip opens at the button's left
    // edge, just below the groups area.
    CPoint pt = pUndo->GetRect().CenterPoint();
    m_pRibbon->ClientToScreen(&pt);
    ::SetCursorPos(pt.x, pt.y);
    testsupport::SendInputs({ testsupport::MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, pt),
                              testsupport::MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, pt + CPoint(1, 0)) });
    ASSERT_TRUE(PumpUntil([&]() {
        CWnd* pTip = pContext->GetToolTip();
        return pTip != NULL && pTip->GetSafeHwnd() != NULL && pTip->IsWindowVisible();
    })) << "no tip came up over the Undo button";
    CRect rcTip, rcGroups = m_pRibbon->GetGroupsRect(), rcUndo = pUndo->GetRect();
    pContext->GetToolTip()->GetWindowRect(&rcTip);
    m_pRibbon->ClientToScreen(&rcGroups);
    m_pRibbon->ClientToScreen(&rcUndo);
    EXPECT_EQ(rcGroups.bottom, rcTip.top);
    EXPECT_EQ(rcUndo.left, rcTip.left);
    EXPECT_TRUE(SaveScreenPicture(m_pFrame->m_hWnd, "screen_tip_below_groups"));
    pContext->CancelToolTips();
}

TEST_F(RibbonBarTest, AHiddenRibbonGivesTheFrameItsCaptionBack)
{
    m_pFrame->BuildSample();
    m_pRibbon->EnableFrameTheme(TRUE);
    m_pFrame->Settle();
    CXTPRibbonFrameManager* pFrameManager = m_pRibbon->GetFrameManager();
    ASSERT_TRUE(pFrameManager != NULL);
    ASSERT_TRUE(m_pRibbon->IsRibbonShown());
    EXPECT_FALSE(pFrameManager->IsCaptionVisible());

    m_pRibbon->ShowWindow(SW_HIDE);
    m_pFrame->Settle();
    EXPECT_FALSE(m_pRibbon->IsRibbonShown());
    EXPECT_TRUE(pFrameManager->IsCaptionVisible());
    m_pFrame->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    PumpAndIdle();
    EXPECT_TRUE(SaveScreenPicture(m_pFrame->m_hWnd, "ribbon_hidden_frame_caption"));

    m_pRibbon->ShowWindow(SW_SHOW);
    m_pFrame->Settle();
    EXPECT_TRUE(m_pRibbon->IsRibbonShown());
    EXPECT_FALSE(pFrameManager->IsCaptionVisible());
}

TEST_F(RibbonBarTest, AStoredQuickAccessControlTallerThanAScreenIsMeasuredInstead)
{
    m_pFrame->BuildSample();
    CXTPRibbonQuickAccessControls* pQuick = m_pRibbon->GetQuickAccessControls();
    int nNormalHeight = m_pRibbon->CalcDockedSize(800, LM_HORZ | LM_HORZDOCK).cy;
    // An archive whose quick-access Save button says 100,000 px tall and the
    // Undo button 200,000 px wide; the New button keeps a plausible width.
    pQuick->GetAt(0)->SetWidth(60);
    pQuick->GetAt(1)->SetHeight(100000);
    pQuick->GetAt(2)->SetWidth(200000);
    std::vector<BYTE> data = Store(20);
    pQuick->GetAt(1)->SetHeight(0);
    pQuick->GetAt(2)->SetWidth(0);
    pQuick->RemoveAll();
    m_pFrame->Settle();

    ASSERT_TRUE(Load(data, 20));
    std::vector<int> ids = {ID_NEW_PUZZLE, ID_SAVE_PUZZLE, ID_UNDO_MOVE};
    ASSERT_EQ(ids, QuickIds());
    EXPECT_EQ(60, pQuick->GetAt(0)->GetWidth());
    EXPECT_EQ(0, pQuick->GetAt(1)->GetHeight());
    EXPECT_EQ(0, pQuick->GetAt(2)->GetWidth());
    EXPECT_EQ(nNormalHeight, m_pRibbon->CalcDockedSize(800, LM_HORZ | LM_HORZDOCK).cy);
    m_pFrame->Settle();
    CRect rcRibbon;
    m_pRibbon->GetWindowRect(&rcRibbon);
    EXPECT_EQ(nNormalHeight, rcRibbon.Height());
    EXPECT_TRUE(SaveWindowPicture(m_pFrame->m_hWnd, "quick_access_sizes_dropped"));
}

namespace
{
// What the screen shows of the ribbon's tab row.
std::vector<COLORREF> TabRowPixels(CXTPRibbonBar* pRibbon)
{
    pRibbon->Redraw();
    PumpAndIdle();
    pRibbon->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    PumpAndIdle();
    CRect rc = pRibbon->GetTabControlRect();
    pRibbon->ClientToScreen(&rc);
    testsupport::Canvas canvas(rc.Width(), rc.Height());
    HDC hScreen = ::GetDC(NULL);
    ::BitBlt(canvas.Handle(), 0, 0, rc.Width(), rc.Height(), hScreen, rc.left, rc.top, SRCCOPY);
    ::ReleaseDC(NULL, hScreen);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < rc.Height(); y++)
        for (int x = 0; x < rc.Width(); x++)
            pixels.push_back(::GetPixel(canvas.Handle(), x, y));
    return pixels;
}

} // namespace

TEST_F(RibbonBarTest, TabAccessKeysAreUnderlinedOnlyWhileTheCommandBarsShowKeyboardCues)
{
    m_pFrame->BuildSample();
    m_pFrame->SetForegroundWindow();
    m_pFrame->Settle();
    CXTPCommandBars* pCommandBars = m_pFrame->GetCommandBars();
    // By default the bars show cues always ("KeyboardCuesShow" 0).
    ASSERT_TRUE(pCommandBars->IsKeyboardCuesVisible());
    std::vector<COLORREF> shown = TabRowPixels(m_pRibbon);
    EXPECT_TRUE(SaveWindowPicture(m_pRibbon->m_hWnd, "tab_cues_shown"));

    // Cues that follow a system hiding them: no underlines until Alt.
    pCommandBars->SetKeyboardCuesFollowSystem(TRUE);
    pCommandBars->SetKeyboardCuesVisible(FALSE);
    std::vector<COLORREF> hidden = TabRowPixels(m_pRibbon);
    EXPECT_NE(shown, hidden) << "the tab captions kept their underlines";
    EXPECT_TRUE(SaveWindowPicture(m_pRibbon->m_hWnd, "tab_cues_hidden"));

    PressKey(m_pFrame, VK_MENU, FALSE);
    EXPECT_TRUE(pCommandBars->IsKeyboardCuesVisible());
    EXPECT_EQ(shown, TabRowPixels(m_pRibbon)) << "Alt did not underline the access keys";
    PressKey(m_pFrame, VK_MENU, TRUE);
    // Alt released puts the ribbon into keyboard mode; Escape leaves it and
    // the underlines go.
    PressKey(m_pFrame, VK_ESCAPE, FALSE);
    PressKey(m_pFrame, VK_ESCAPE, TRUE);
    if (m_pRibbon->IsTrackingMode())
    {
        PressKey(m_pFrame, VK_ESCAPE, FALSE);
        PressKey(m_pFrame, VK_ESCAPE, TRUE);
    }
    EXPECT_FALSE(m_pRibbon->IsTrackingMode());
    EXPECT_FALSE(pCommandBars->IsKeyboardCuesVisible());
    EXPECT_EQ(hidden, TabRowPixels(m_pRibbon));
}


// Alt pressed and released, then a letter, does what the letter does with
// Alt held: the tabs' key tips show, a tab's letter selects that tab and
// shows its tips, and a letter that no tip names runs nothing, not even the
// control whose caption starts with it.
TEST_F(RibbonBarTest, AfterAltIsReleasedALetterPicksAKeyTipAndRunsNothingElse)
{
    m_pFrame->BuildSample();
    // A Home control that starts with the Insert tab's letter.
    m_pRibbon->GetTab(0)->AddGroup(_T("Font"), 14)->Add(xtpControlCheckBox, 2040, _T("Italic"));
    m_pFrame->SetForegroundWindow();
    m_pFrame->Settle();
    CXTPCommandBars* pBars = m_pFrame->GetCommandBars();

    // Alt+H held together: the Home tab's tips.
    PressKey(m_pFrame, VK_MENU, FALSE);
    TypeKeys(m_pFrame, {'H'});
    PressKey(m_pFrame, VK_MENU, TRUE);
    ASSERT_EQ(2, pBars->GetKeyboardTipsLevel());
    std::vector<CString> homeTips = TipCaptions(pBars);
    TypeKeys(m_pFrame, {VK_ESCAPE, VK_ESCAPE});
    ASSERT_FALSE(m_pRibbon->IsTrackingMode());

    // Alt released alone: the tips of the quick-access controls and tabs.
    TypeKeys(m_pFrame, {VK_MENU});
    EXPECT_EQ(m_pRibbon, pBars->GetKeyboardTipsOwner());
    std::vector<CString> topTips = {"1", "2", "3", "H", "I", "V", "L", "F"};
    EXPECT_EQ(topTips, TipCaptions(pBars));
    EXPECT_TRUE(SaveScreenPicture(m_pFrame->m_hWnd, "alt_released_tab_tips"));
    // I is the Insert tab's tip: the tab is selected, Italic is not run.
    TypeKeys(m_pFrame, {'I'});
    EXPECT_EQ(m_pRibbon->GetTab(1), m_pRibbon->GetSelectedTab());
    EXPECT_EQ(2, pBars->GetKeyboardTipsLevel());
    EXPECT_TRUE(SaveScreenPicture(m_pFrame->m_hWnd, "alt_released_then_insert_tips"));
    // Escape steps back to the tabs' tips; H gives what Alt+H gave.
    TypeKeys(m_pFrame, {VK_ESCAPE});
    EXPECT_EQ(topTips, TipCaptions(pBars));
    TypeKeys(m_pFrame, {'H'});
    EXPECT_EQ(m_pRibbon->GetTab(0), m_pRibbon->GetSelectedTab());
    EXPECT_EQ(homeTips, TipCaptions(pBars));
    // At the tabs' level A names no tip (Accept starts with it): nothing runs.
    TypeKeys(m_pFrame, {VK_ESCAPE, 'A'});
    EXPECT_TRUE(m_pRibbon->IsTrackingMode());
    EXPECT_EQ(topTips, TipCaptions(pBars));
    EXPECT_TRUE(m_pFrame->m_arrCommands.empty()) << "a letter ran command " << m_pFrame->m_arrCommands[0];
    // A control's own tip runs it.
    TypeKeys(m_pFrame, {'H', 'I'});
    EXPECT_EQ(std::vector<UINT>{2040}, m_pFrame->m_arrCommands);
    TypeKeys(m_pFrame, {VK_ESCAPE, VK_ESCAPE, VK_ESCAPE});
    ASSERT_FALSE(m_pRibbon->IsTrackingMode());

    // Minimised, the tab's letter opens its popup, whose controls get the
    // same tips.
    m_pRibbon->SetMinimized(TRUE);
    m_pFrame->Settle();
    TypeKeys(m_pFrame, {VK_MENU, 'H'});
    CXTPCommandBar* pTipsOwner = pBars->GetKeyboardTipsOwner();
    ASSERT_TRUE(pTipsOwner != NULL && pTipsOwner == TopTrackedPopup());
    EXPECT_EQ(homeTips, TipCaptions(pBars));
    EXPECT_TRUE(SaveScreenPicture(m_pFrame->m_hWnd, "alt_released_then_home_popup_tips"));
    // Escape closes the popup; Escape leaves the keyboard mode.
    TypeKeys(m_pFrame, {VK_ESCAPE});
    EXPECT_TRUE(TopTrackedPopup() == NULL);
    TypeKeys(m_pFrame, {VK_ESCAPE});
    EXPECT_FALSE(m_pRibbon->IsTrackingMode());
    m_pRibbon->SetMinimized(FALSE);
    m_pFrame->Settle();

    // Without key tips a letter after Alt still takes only a tab's access key.
    m_pFrame->m_arrCommands.clear();
    pBars->GetCommandBarsOptions()->bShowKeyboardTips = FALSE;
    TypeKeys(m_pFrame, {VK_MENU, 'A'});
    EXPECT_TRUE(m_pFrame->m_arrCommands.empty()) << "a letter ran command " << m_pFrame->m_arrCommands[0];
    TypeKeys(m_pFrame, {'I'});
    EXPECT_EQ(m_pRibbon->GetTab(1), m_pRibbon->GetSelectedTab());
    EXPECT_TRUE(m_pFrame->m_arrCommands.empty());
    m_pRibbon->SetTrackingMode(FALSE);
}

// A caption's "&&" is a literal '&': its tip and its letter are those of the
// character after its first single '&', else its first letter. Escape steps
// back one level at a time: from the menu a split button's tip opened to its
// tab's tips, to the top level, then out of the keyboard mode. Alt puts the
// ribbon into keyboard mode at tip level 1 whether or not tips can show.
TEST_F(RibbonBarTest, DoubledAmpersandsAreLiteralAndEscapeStepsBackOneLevel)
{
    m_pFrame->BuildSample();
    CXTPCommandBars* pBars = m_pFrame->GetCommandBars();
    CXTPRibbonTab* pTools = m_pRibbon->AddTab(_T("&Tools"), 6);
    CXTPRibbonGroup* pEdit = pTools->AddGroup(_T("Edit"), 60);
    pEdit->Add(xtpControlButton, 2041, _T("Notes && Comments"));
    pEdit->Add(xtpControlButton, 2042, _T("Find && &Go"));
    CXTPControlPopup* pPaste = (CXTPControlPopup*)pEdit->Add(xtpControlSplitButtonPopup, 2043, _T("&Paste"));
    CXTPPopupBar* pPasteMenu = CXTPPopupBar::CreatePopupBar(pBars);
    pPasteMenu->GetControls()->Add(xtpControlButton, 2044)->SetCaption(_T("Paste &Special"));
    pPaste->SetCommandBar(pPasteMenu);
    pPasteMenu->InternalRelease();
    m_pFrame->SetForegroundWindow();
    m_pFrame->Settle();

    TypeKeys(m_pFrame, {VK_MENU});
    const std::vector<CString> topTips = TipCaptions(pBars);
    TypeKeys(m_pFrame, {'T'});
    ASSERT_EQ(pTools, m_pRibbon->GetSelectedTab());
    const std::vector<CString> toolTips = TipCaptions(pBars);
    EXPECT_EQ((std::vector<CString>{"N", "G", "P"}), toolTips);
    EXPECT_TRUE(SaveScreenPicture(m_pFrame->m_hWnd, "doubled_ampersand_tips"));
    TypeKeys(m_pFrame, {'G'});
    TypeKeys(m_pFrame, {VK_MENU, 'T', 'N'});
    EXPECT_EQ((std::vector<UINT>{2042, 2041}), m_pFrame->m_arrCommands);

    TypeKeys(m_pFrame, {VK_MENU, 'T', 'P'});
    ASSERT_EQ(pPasteMenu, TopTrackedPopup());
    TypeKeys(m_pFrame, {VK_ESCAPE});
    EXPECT_TRUE(TopTrackedPopup() == NULL);
    EXPECT_EQ(toolTips, TipCaptions(pBars));
    TypeKeys(m_pFrame, {VK_ESCAPE});
    EXPECT_EQ(topTips, TipCaptions(pBars));
    TypeKeys(m_pFrame, {VK_ESCAPE});
    EXPECT_FALSE(m_pRibbon->IsTrackingMode());

    // Tips switched off (real Alt), and the ribbon not shown (Alt handed to it).
    pBars->GetCommandBarsOptions()->bShowKeyboardTips = FALSE;
    for (int nCase = 0; nCase < 2; nCase++)
    {
        SCOPED_TRACE(nCase == 0 ? "tips off" : "ribbon not shown");
        if (nCase == 0)
            TypeKeys(m_pFrame, {VK_MENU});
        else
            EXPECT_TRUE(m_pRibbon->OnAcceleratorKey(VK_MENU));
        EXPECT_EQ(1, pBars->GetKeyboardTipsLevel());
        EXPECT_TRUE(m_pRibbon->IsTrackingMode());
        EXPECT_EQ(m_pRibbon->GetControlTab()->GetIndex(), m_pRibbon->GetSelected());
        EXPECT_TRUE(m_pRibbon->GetControlTab()->IsFocused());
        m_pRibbon->SetTrackingMode(FALSE);
        if (nCase == 0)
        {
            pBars->GetCommandBarsOptions()->bShowKeyboardTips = TRUE;
            Resize(240, 400);
            ASSERT_FALSE(m_pRibbon->IsRibbonShown());
        }
    }
}

TEST_F(RibbonBarTest, GroupTipsTakeTheControlsShortcutThenItsActionsThenTheCaptionLetter)
{
    m_pFrame->BuildSample();
    CXTPControl* pSave = GroupControl(m_pRibbon, ID_SAVE_PUZZLE);
    CXTPControl* pPrint = GroupControl(m_pRibbon, ID_FILE_PRINT);
    CXTPControl* pUndo = GroupControl(m_pRibbon, ID_UNDO_MOVE);
    CXTPControl* pAccept = GroupControl(m_pRibbon, ID_BRANCH_ACCEPT);
    ASSERT_TRUE(pSave != NULL && pPrint != NULL && pUndo != NULL && pAccept != NULL);
    pSave->SetShortcutText(_T("sv"));
    // Print takes its key from its action.
    CXTPCommandBars* pBars = m_pFrame->GetCommandBars();
    CXTPControlAction* pAction = pBars->GetActions()->Add(ID_FILE_PRINT);
    ASSERT_TRUE(pAction != NULL);
    pAction->SetCaption(_T("Print"));
    pAction->SetShortcutText(_T("PR"));
    pPrint->SetAction(pAction);
    // A menu accelerator is no key to type: the caption's letter stays.
    pUndo->SetShortcutText(_T("Ctrl+Z"));
    m_pFrame->Settle();

    pBars->ShowKeyboardTips(m_pRibbon, 2);
    std::map<CXTPControl*, CString> tips;
    for (INT_PTR i = 0; i < pBars->m_arrKeyboardTips.GetSize(); i++)
    {
        CXTPCommandBarKeyboardTip* pTip = (CXTPCommandBarKeyboardTip*)pBars->m_arrKeyboardTips[i];
        tips[(CXTPControl*)pTip->m_pOwner] = pTip->GetCaption();
    }
    pBars->HideKeyboardTips();
    EXPECT_EQ(CString("SV"), tips[pSave]);
    EXPECT_EQ(CString("PR"), tips[pPrint]);
    EXPECT_EQ(CString("U"), tips[pUndo]);
    EXPECT_EQ(CString("A"), tips[pAccept]);
}

// The application's idle pass disables every command its frame has no
// handler for. The ribbon's own controls are not commands of the
// application: a frame that knows nothing of them leaves them enabled, while
// an update handler the frame does have still decides, and an application
// command without a handler is still disabled.
TEST_F(RibbonBarTest, TheApplicationsIdlePassNeverDisablesTheRibbonsOwnControls)
{
    m_pFrame->BuildSample();
    CXTPRibbonBar* pRibbon = m_pRibbon;
    CXTPRibbonTab* pHome = pRibbon->GetTab(0);
    // A command the frame does not know, a system button and an option
    // button whose ids it does not know either (the group's id, 10).
    CXTPControl* pUnknown = pHome->GetGroups()->GetAt(0)->Add(xtpControlButton, 3001, _T("Unknown"));
    CXTPRibbonControlSystemButton* pSystem = new CXTPRibbonControlSystemButton();
    pSystem->SetCaption(_T("&File"));
    pRibbon->GetControls()->Add(pSystem, 3002);
    pRibbon->SetSystemButton(pSystem);
    pHome->GetGroups()->GetAt(0)->ShowOptionButton(TRUE);
    // The frame's update handler disables the Moves group's option (2090).
    m_pFrame->m_arrDisabled.push_back(2090);
    // Many quick-access controls, so that some wrap behind the more button.
    for (int i = 0; i < 12; i++)
        pRibbon->GetQuickAccessControls()->Add(xtpControlButton, ID_FILE_PRINT);
    pRibbon->EnableFrameTheme(TRUE);
    // Narrow enough for a group to collapse into its popup button.
    for (int cx = 400; cx >= 256 && !pHome->GetGroups()->GetAt(3)->IsReduced(); cx -= 4)
        Resize(cx, 400);
    ASSERT_TRUE(pHome->GetGroups()->GetAt(3)->IsReduced());
    for (int i = 0; i < 3; i++)
        RunIdlePass();

    std::map<std::string, int> seen;
    for (int i = 0; i < pRibbon->GetControlCount(); i++)
    {
        CXTPControl* pControl = pRibbon->GetControl(i);
        if (!pControl->IsVisible() || !XTPIsRibbonOwnControl(pControl))
            continue;
        std::string name = pControl->GetRuntimeClass()->m_lpszClassName;
        seen[name]++;
        if (pControl->GetID() == 2090)
            EXPECT_FALSE(pControl->GetEnabled()) << "the frame's own update handler was not asked";
        else
            EXPECT_TRUE(pControl->GetEnabled()) << name << " " << pControl->GetID() << " disabled by the idle pass";
    }
    for (const char* pszClass : { "CXTPRibbonControlTab", "CXTPRibbonControlSystemButton",
                                  "CXTPRibbonBarControlQuickAccessPopup", "CControlQuickAccessMorePopup",
                                  "CControlCaptionButton", "CXTPRibbonGroupControlPopup" })
        EXPECT_GT(seen[pszClass], 0) << "no visible " << pszClass << " to check";
    EXPECT_TRUE(pRibbon->GetControlTab()->GetEnabled());
    EXPECT_TRUE(pSystem->GetEnabled());

    // The idle pass is the real one: a command without a handler goes grey.
    Resize(1100, 400);
    RunIdlePass();
    ASSERT_TRUE(pUnknown->IsVisible());
    EXPECT_FALSE(pUnknown->GetEnabled());
    CXTPControl* pOption = pHome->GetGroups()->GetAt(0)->GetControlGroupOption();
    ASSERT_TRUE(pOption != NULL && pOption->IsVisible());
    EXPECT_TRUE(pOption->GetEnabled());
    EXPECT_FALSE(pHome->GetGroups()->GetAt(1)->GetControlGroupOption()->GetEnabled());

    // The scroll buttons of groups wider than the bar.
    for (int i = 0; i < 8; i++)
        pRibbon->GetTab(1)->AddGroup(_T("Extra"), 60 + i)->Add(xtpControlButton, 2080 + i, _T("Extra"));
    pRibbon->SetCurSel(1);
    Resize(400, 400);
    RunIdlePass();
    int nScroll = 0;
    for (int i = 0; i < pRibbon->GetControlCount(); i++)
    {
        CXTPControl* pControl = pRibbon->GetControl(i);
        if (pControl->IsVisible() && dynamic_cast<CXTPRibbonScrollableBar::CControlGroupsScroll*>(pControl) != NULL)
        {
            nScroll++;
            EXPECT_TRUE(pControl->GetEnabled());
        }
    }
    EXPECT_GT(nScroll, 0) << "no scroll button shown at 300 pixels";
}
