// Groups across the groups area: placement with 7 px gaps, the order of
// reduction (every level-0 step, rightmost group first, before any level-1
// step), a step that reaches the width exactly, a bounded loop when a group
// never stops reducing, and scrolling when nothing reduces any more; a
// group that holds a gallery with other controls at every reduction level
// and in its popup, opened by a real click.
// ctest: run-serial
#include "ribbon_testframe.h"

#include "XTPControlComboBox.h"
#include "XTPControlEdit.h"
#include "XTPControlGallery.h"
#include "XTPPopupBar.h"
#include "resource.h"

#include <set>
#include <sstream>
#include <string>
#include <utility>

using namespace ribbontest;

namespace
{
// A group whose widths per reduction step are given; it records its calls.
class CTestGroup : public CXTPRibbonGroup
{
    DECLARE_DYNCREATE(CTestGroup)
public:
    CTestGroup() : m_nStep(0), m_bEndless(FALSE) {}

    virtual void OnBeforeCalcSize(CDC*) { m_nStep = 0; m_arrLevelsDone.clear(); }
    virtual int CalcSize(CDC*) { return m_arrWidths.empty() ? 0 : m_arrWidths[std::min(m_nStep, (int)m_arrWidths.size() - 1)]; }
    virtual BOOL Reduce(int nLevel)
    {
        s_calls.push_back(std::make_pair(m_nId, nLevel));
        if (m_bEndless)
            return TRUE;
        // One step per level listed in m_arrLevels, in order.
        if (m_nStep < (int)m_arrLevels.size() && m_arrLevels[m_nStep] == nLevel)
        {
            m_nStep++;
            s_steps.push_back(std::make_pair(m_nId, nLevel));
            return TRUE;
        }
        return FALSE;
    }

    std::vector<int> m_arrWidths;   // width at step 0, 1, ...
    std::vector<int> m_arrLevels;   // the level of step 1, 2, ...
    std::vector<int> m_arrLevelsDone;
    int m_nStep;
    BOOL m_bEndless;
    static std::vector<std::pair<int, int>> s_calls;   // (group id, level) of every Reduce
    static std::vector<std::pair<int, int>> s_steps;   // those that reduced
};
IMPLEMENT_DYNCREATE(CTestGroup, CXTPRibbonGroup)
std::vector<std::pair<int, int>> CTestGroup::s_calls;
std::vector<std::pair<int, int>> CTestGroup::s_steps;

class GroupsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_nLive = LiveObjects();
        m_pFrame = new CRibbonFrame();
        ASSERT_TRUE(m_pFrame->CreateRibbonFrame(CRect(20, 20, 620, 420), FALSE));
        m_pRibbon = m_pFrame->GetRibbon();
        m_pTab = m_pRibbon->AddTab(_T("Tab"));
        CTestGroup::s_calls.clear();
        CTestGroup::s_steps.clear();
    }
    void TearDown() override
    {
        m_pFrame->DestroyRibbonFrame();
        PumpAndIdle();
        EXPECT_EQ(m_nLive, LiveObjects());
    }
    CTestGroup* AddGroup(int nId, std::vector<int> widths, std::vector<int> levels = {})
    {
        CTestGroup* pGroup = new CTestGroup();
        pGroup->SetID(nId);
        pGroup->m_arrWidths = widths;
        pGroup->m_arrLevels = levels;
        m_pTab->GetGroups()->Add(pGroup);
        return pGroup;
    }
    void Layout(int nWidth)
    {
        CWindowDC dc(NULL);
        m_pTab->GetGroups()->Reposition(&dc, nWidth, 93, CRect(4, 3, 6, 3));
    }
    CRibbonFrame* m_pFrame = NULL;
    CXTPRibbonBar* m_pRibbon = NULL;
    CXTPRibbonTab* m_pTab = NULL;
    LONG m_nLive = 0;
};
} // namespace

TEST_F(GroupsTest, GroupsThatFitAreNotReducedAndStandSevenPixelsApart)
{
    CTestGroup* pA = AddGroup(1, {100});
    CTestGroup* pB = AddGroup(2, {80});
    CTestGroup* pC = AddGroup(3, {120});
    Layout(400);

    EXPECT_TRUE(CTestGroup::s_calls.empty());
    int H = m_pRibbon->CalcGroupsHeight();
    EXPECT_EQ(93, H);
    EXPECT_EQ(CRect(4, 3, 109, 3 + H - 7), pA->GetRect());
    EXPECT_EQ(111, pB->GetRect().left);
    EXPECT_EQ(198, pC->GetRect().left);
    EXPECT_FALSE(m_pRibbon->GetScrollLeft()->IsVisible());
    EXPECT_FALSE(m_pRibbon->GetScrollRight()->IsVisible());
    EXPECT_EQ(0, m_pTab->GetGroups()->GetScrollOffset());
}

TEST_F(GroupsTest, AGroupThatExactlyFillsTheWidthIsNotReduced)
{
    // Available 390 = 200 + 7 + 183.
    AddGroup(1, {200, 150}, {0});
    AddGroup(2, {183, 100}, {0});
    Layout(400);
    EXPECT_TRUE(CTestGroup::s_calls.empty());
}

TEST_F(GroupsTest, LevelZeroStepsGoRightToLeftBeforeAnyLevelOneStep)
{
    // Each group: level 0 then level 1; the total must fall below 100.
    AddGroup(1, {100, 80, 40}, {0, 1});
    AddGroup(2, {100, 80, 40}, {0, 1});
    AddGroup(3, {100, 80, 40}, {0, 1});
    Layout(110);   // available 100

    std::vector<std::pair<int, int>> expected = {{3, 0}, {2, 0}, {1, 0}, {3, 1}, {2, 1}, {1, 1}};
    EXPECT_EQ(expected, CTestGroup::s_steps);
}

TEST_F(GroupsTest, AStepThatReachesTheWidthExactlyKeepsReducing)
{
    // 390 available: one step of group 2 gives 200 + 7 + 183 = 390, equal,
    // so reduction goes on to the next step.
    AddGroup(1, {200, 150}, {0});
    AddGroup(2, {250, 183}, {0});
    Layout(400);
    ASSERT_GE(CTestGroup::s_calls.size(), 2u);
    EXPECT_EQ(std::make_pair(2, 0), CTestGroup::s_calls[0]);
    EXPECT_EQ(std::make_pair(2, 0), CTestGroup::s_calls[1]);
    EXPECT_EQ(std::make_pair(1, 0), CTestGroup::s_calls[2]);
}

TEST_F(GroupsTest, AGroupThatAlwaysAnswersReducedCannotLoopForever)
{
    CTestGroup* pA = AddGroup(1, {500});
    pA->m_bEndless = TRUE;
    AddGroup(2, {500});
    Layout(400);
    // At most 4 x the number of groups steps.
    EXPECT_LE(CTestGroup::s_calls.size(), 8u * 4u);
    EXPECT_GE(CTestGroup::s_calls.size(), 8u);
}

TEST_F(GroupsTest, InvisibleGroupsTakeNoWidthAndNoGap)
{
    CTestGroup* pA = AddGroup(1, {100});
    CTestGroup* pHidden = AddGroup(2, {80});
    pHidden->SetVisible(FALSE);
    CTestGroup* pC = AddGroup(3, {120});
    Layout(400);
    EXPECT_EQ(4, pA->GetRect().left);
    EXPECT_EQ(111, pC->GetRect().left);
    int widths[] = {100, 0, 120};
    EXPECT_EQ(227, m_pTab->GetGroups()->CalcTotalWidth(widths));
}

TEST_F(GroupsTest, GroupsThatCannotReduceScrollFortyPixelsAStep)
{
    AddGroup(1, {600});
    AddGroup(2, {600});
    // The bar's groups rect is what the scroll buttons stand in.
    m_pRibbon->m_rcGroups = CRect(0, 50, 400, 143);
    Layout(400);
    EXPECT_EQ(0, m_pTab->GetGroups()->GetScrollOffset());
    EXPECT_FALSE(m_pRibbon->GetScrollLeft()->IsVisible());
    EXPECT_TRUE(m_pRibbon->GetScrollRight()->IsVisible());

    m_pRibbon->m_nGroupsScrollPos = 0;
    m_pRibbon->CXTPRibbonScrollableBar::OnGroupsScroll(FALSE);
    EXPECT_EQ(40, m_pRibbon->GetGroupsScrollPos());

    m_pRibbon->m_nGroupsScrollPos = 30;
    m_pRibbon->CXTPRibbonScrollableBar::OnGroupsScroll(TRUE);
    EXPECT_EQ(0, m_pRibbon->GetGroupsScrollPos());

    // Scrolled fully right (1207 - 390 = 817): only the left button shows.
    m_pRibbon->m_nGroupsScrollPos = 5000;
    Layout(400);
    EXPECT_EQ(817, m_pTab->GetGroups()->GetScrollOffset());
    EXPECT_TRUE(m_pRibbon->GetScrollLeft()->IsVisible());
    EXPECT_FALSE(m_pRibbon->GetScrollRight()->IsVisible());
}

TEST_F(GroupsTest, GroupsAtAnIndexOutsideTheCollectionRaiseInvalidArgument)
{
    AddGroup(1, {100});
    bool bThrown = false;
    try
    {
        m_pTab->GetGroups()->GetAt(5);
    }
    catch (CInvalidArgException* e)
    {
        bThrown = true;
        e->Delete();
    }
    EXPECT_TRUE(bThrown);
}

TEST_F(GroupsTest, ColumnsOfSmallControlsCanBeCentred)
{
    CXTPRibbonGroup* pGroup = m_pTab->AddGroup(_T("Centred"), 5);
    CXTPControl* pA = pGroup->Add(xtpControlButton, 2050, _T("First"));
    CXTPControl* pB = pGroup->Add(xtpControlButton, 2051, _T("Second"));
    pA->SetStyle(xtpButtonCaption);
    pB->SetStyle(xtpButtonCaption);
    Layout(400);
    int nTopA = pA->GetRect().top, nTopB = pB->GetRect().top;
    EXPECT_EQ(5, nTopA);    // y 3 + 2
    EXPECT_EQ(nTopA + 22, nTopB);

    // Centred: the 66 px column holds 44 px of controls; the gap is 22 / 3.
    pGroup->SetCenterColumns(TRUE);
    Layout(400);
    EXPECT_EQ(nTopA + 7, pA->GetRect().top);
    EXPECT_EQ(nTopB + 14, pB->GetRect().top);
}

TEST_F(GroupsTest, RemoveAllKeepsTheRibbonsOwnParts)
{
    CXTPRibbonGroup* pGroup = m_pTab->AddGroup(_T("Group"), 5);
    pGroup->Add(xtpControlButton, 2050, _T("Button"));
    m_pRibbon->GetControls()->RemoveAll();
    // The tab strip, the quick-access buttons, the scroll buttons and the
    // group's own button stay; the group's control went, and left its group.
    EXPECT_EQ(m_pRibbon, m_pRibbon->GetControlTab()->GetParent());
    EXPECT_EQ(m_pRibbon, m_pRibbon->GetControlQuickAccessPopup()->GetParent());
    EXPECT_EQ(m_pRibbon, m_pRibbon->GetScrollLeft()->GetParent());
    EXPECT_EQ(m_pRibbon, pGroup->GetControlGroupPopup()->GetParent());
    ASSERT_TRUE(pGroup->GetControlGroupOption() != NULL);
    EXPECT_EQ(m_pRibbon, pGroup->GetControlGroupOption()->GetParent());
    EXPECT_EQ(0, pGroup->GetCount());
}

TEST_F(GroupsTest, TheOptionButtonFollowsTheGroupAndLeavesWithIt)
{
    CXTPRibbonGroup* pGroup = m_pTab->AddGroup(_T("&Layout"), 7);
    CXTPControl* pOption = pGroup->GetControlGroupOption();
    ASSERT_TRUE(pOption != NULL);
    // It takes the group's id and caption until given its own id.
    EXPECT_EQ(7, pOption->GetID());
    EXPECT_EQ(CString(_T("&Layout")), pOption->GetCaption());
    pGroup->SetID(8);
    EXPECT_EQ(8, pOption->GetID());
    pOption->SetID(2090);
    pGroup->SetID(9);
    EXPECT_EQ(2090, pOption->GetID());
    // Hidden until the group shows it.
    EXPECT_FALSE(pOption->IsVisible(xtpHideRibbonTab));
    pGroup->ShowOptionButton(TRUE);
    EXPECT_TRUE(pOption->IsVisible(xtpHideRibbonTab));

    // Removing the group takes its option button out of the bar.
    int nControls = m_pRibbon->GetControlCount();
    pOption->InternalAddRef();
    m_pTab->GetGroups()->Remove(pGroup);
    EXPECT_EQ(nControls - 2, m_pRibbon->GetControlCount());     // its popup and option buttons
    for (int i = 0; i < m_pRibbon->GetControlCount(); i++)
        EXPECT_NE(pOption, m_pRibbon->GetControl(i));
    EXPECT_TRUE(pOption->GetRibbonGroup() == NULL);
    pOption->InternalRelease();
}

namespace
{
// The sample ribbon with one more group on its first tab: a 210 x 66
// gallery followed by a large button and two small ones.
class GalleryGroupTest : public RibbonSampleTest
{
protected:
    void SetUp() override
    {
        RibbonSampleTest::SetUp();
        if (HasFatalFailure())
            return;
        m_pItems = new CXTPControlGalleryItems();
        m_pItems->SetItemSize(CSize(32, 22));
        for (int i = 0; i < 18; i++)
        {
            CString strCaption;
            strCaption.Format(_T("%d"), i + 1);
            m_pItems->AddItem(strCaption, 2100 + i);
        }
        m_pGroup = m_pRibbon->GetTab(0)->AddGroup(_T("Shading"), 14);
        m_pGallery = new CXTPControlGallery();
        m_pGroup->Add(m_pGallery, 2095);
        m_pGallery->SetItems(m_pItems);
        m_pGallery->SetWidth(210);
        m_pGallery->SetHeight(66);
        m_pGallery->ShowBorders(TRUE);
        m_pGallery->ShowLabels(FALSE);
        m_pLarge = m_pGroup->Add(xtpControlButton, ID_UNDO_MOVE, _T("Undo"));
        m_pLarge->SetStyle(xtpButtonIconAndCaptionBelow);
        m_pGroup->Add(xtpControlButton, ID_BRANCH_ACCEPT, _T("Accept"))->SetStyle(xtpButtonIconAndCaption);
        m_pGroup->Add(xtpControlButton, ID_BRANCH_REVERT, _T("Revert"))->SetStyle(xtpButtonIconAndCaption);
        m_pFrame->Settle();
    }
    void TearDown() override
    {
        XTPMouseManager()->CloseAllTracked();
        PumpAndIdle();
        RibbonSampleTest::TearDown();
        if (m_pItems != NULL)
            m_pItems->InternalRelease();
    }
    // What overlaps among a group's visible controls, and what passes its
    // sides (empty when nothing).
    static std::string Overlaps(CXTPRibbonGroup* pGroup)
    {
        std::ostringstream out;
        CRect rcGroup = pGroup->GetRect();
        for (int i = 0; i < pGroup->GetCount(); i++)
        {
            CXTPControl* pA = pGroup->GetAt(i);
            if (!pA->IsVisible())
                continue;
            CRect rcA = pA->GetRect();
            if (rcA.left < rcGroup.left || rcA.right > rcGroup.right)
                out << pA->GetCaption() << " passes the group's side; ";
            for (int j = i + 1; j < pGroup->GetCount(); j++)
            {
                CXTPControl* pB = pGroup->GetAt(j);
                CRect rcCommon;
                if (pB->IsVisible() && rcCommon.IntersectRect(rcA, pB->GetRect()))
                    out << pB->GetCaption() << " (" << pB->GetRect().left << "," << pB->GetRect().top
                        << ") lies on " << pA->GetCaption() << " (" << rcA.left << "," << rcA.top << "-"
                        << rcA.right << "," << rcA.bottom << "); ";
            }
        }
        return out.str();
    }

    CXTPControlGalleryItems* m_pItems = NULL;
    CXTPRibbonGroup* m_pGroup = NULL;
    CXTPControlGallery* m_pGallery = NULL;
    CXTPControl* m_pLarge = NULL;
};
} // namespace

TEST_F(GalleryGroupTest, ControlsAfterAGalleryNeverLieOnItAtAnyReductionLevel)
{
    ASSERT_EQ(CSize(210, 66), m_pGallery->GetRect().Size());
    // From wide to narrow: every layout on the way, each reduction level of
    // the group (large button made small, captions dropped) checked.
    std::set<std::string> levels;
    for (int cx = 1200; cx >= 300 && !m_pGroup->IsReduced(); cx -= 10)
    {
        Resize(cx, 400);
        if (m_pGroup->IsReduced())
            break;
        std::ostringstream state;
        for (int i = 0; i < m_pGroup->GetCount(); i++)
            state << (int)m_pGroup->GetAt(i)->GetStyle() << " ";
        std::string strOverlaps = Overlaps(m_pGroup);
        EXPECT_EQ("", strOverlaps) << "at a frame " << cx << " wide, styles " << state.str();
        if (levels.insert(state.str()).second)
        {
            m_pRibbon->RedrawWindow();
            std::string strName = "gallery_group_level_" + std::to_string(levels.size());
            EXPECT_TRUE(SaveWindowPicture(m_pRibbon->m_hWnd, strName.c_str()));
        }
    }
    EXPECT_GE(levels.size(), 2u) << "the large button was never made small";
    EXPECT_TRUE(m_pGroup->IsReduced()) << "the group never collapsed";
}

TEST_F(GalleryGroupTest, TheCollapsedGroupsPopupShowsItsControlsAsGivenSideBySide)
{
    for (int cx = 900; cx >= 300 && !m_pGroup->IsReduced(); cx -= 10)
        Resize(cx, 400);
    ASSERT_TRUE(m_pGroup->IsReduced());
    CXTPControl* pButton = m_pGroup->GetControlGroupPopup();
    ASSERT_TRUE(pButton != NULL && pButton->IsVisible());
    RealClick(ScreenCentre(pButton));
    CXTPRibbonGroupPopupToolBar* pPopup = NULL;
    ASSERT_TRUE(PumpUntil([&]() {
        pPopup = DYNAMIC_DOWNCAST(CXTPRibbonGroupPopupToolBar, TopTrackedPopup());
        return pPopup != NULL && pPopup->IsWindowVisible();
    })) << "the click opened no popup";
    CXTPRibbonGroup* pCopy = pPopup->GetGroup();
    ASSERT_TRUE(pCopy != NULL);
    ASSERT_EQ(m_pGroup->GetCount(), pCopy->GetCount());
    // The large button is large again, as the application gave it.
    EXPECT_EQ(xtpButtonIconAndCaptionBelow, pCopy->GetAt(1)->GetStyle());
    EXPECT_EQ(xtpButtonIconAndCaption, pCopy->GetAt(2)->GetStyle());
    EXPECT_EQ("", Overlaps(pCopy));
    EXPECT_GE(pCopy->GetAt(1)->GetRect().left, pCopy->GetAt(0)->GetRect().right);
    pPopup->RedrawWindow();
    PumpAndIdle();
    EXPECT_TRUE(SaveScreenPicture(m_pFrame->m_hWnd, "gallery_group_popup_on_frame"));
    EXPECT_TRUE(SaveScreenPicture(pPopup->m_hWnd, "gallery_group_popup"));
    // The source keeps its reduced state.
    EXPECT_TRUE(m_pGroup->IsReduced());
}

namespace
{
using GroupPopupTest = RibbonSampleTest;
} // namespace

// A reduced group's popup holds copies of its controls that show what the
// controls on the ribbon show: the chosen face of a list-only combo and the
// value of a spin edit. Opened by a real click on the group's button.
TEST_F(GroupPopupTest, ACombosCopyInTheGroupsPopupKeepsItsText)
{
    CXTPRibbonGroup* pFont = m_pRibbon->GetTab(0)->AddGroup(_T("Font"), 15);
    CXTPControlComboBox* pFace = DYNAMIC_DOWNCAST(CXTPControlComboBox, pFont->Add(xtpControlComboBox, 2040, _T("Face")));
    ASSERT_TRUE(pFace != NULL);
    pFace->SetDropDown(FALSE);
    pFace->AddString(_T("Tahoma"));
    pFace->AddString(_T("Segoe UI"));
    pFace->SetCurSel(1);
    pFace->SetWidth(120);
    CXTPControlEdit* pSize = DYNAMIC_DOWNCAST(CXTPControlEdit, pFont->Add(xtpControlEdit, 2041, _T("Size")));
    ASSERT_TRUE(pSize != NULL);
    pSize->ShowSpinButtons(TRUE);
    pSize->SetEditText(_T("11"));
    pSize->SetWidth(120);
    m_pFrame->Settle();
    ASSERT_EQ(CString(_T("Segoe UI")), pFace->GetText());
    for (int cx = 900; cx >= 300 && !pFont->IsReduced(); cx -= 10)
        Resize(cx, 400);
    ASSERT_TRUE(pFont->IsReduced());

    RealClick(ScreenCentre(pFont->GetControlGroupPopup()));
    CXTPRibbonGroupPopupToolBar* pPopup = NULL;
    ASSERT_TRUE(PumpUntil([&]() {
        pPopup = DYNAMIC_DOWNCAST(CXTPRibbonGroupPopupToolBar, TopTrackedPopup());
        return pPopup != NULL && pPopup->IsWindowVisible();
    })) << "the click opened no popup";
    CXTPRibbonGroup* pCopy = pPopup->GetGroup();
    ASSERT_TRUE(pCopy != NULL && pCopy->GetCount() == 2);
    CXTPControlComboBox* pFaceCopy = DYNAMIC_DOWNCAST(CXTPControlComboBox, pCopy->GetAt(0));
    CXTPControlEdit* pSizeCopy = DYNAMIC_DOWNCAST(CXTPControlEdit, pCopy->GetAt(1));
    ASSERT_TRUE(pFaceCopy != NULL && pSizeCopy != NULL);
    EXPECT_EQ(CString(_T("Segoe UI")), pFaceCopy->GetText());
    EXPECT_EQ(1, pFaceCopy->GetCurSel());
    EXPECT_EQ(CString(_T("11")), pSizeCopy->GetEditText());
    pPopup->RedrawWindow();
    PumpAndIdle();
    EXPECT_TRUE(SaveScreenPicture(pPopup->m_hWnd, "font_group_popup"));
    // Nothing was chosen: the frame heard of no selection change.
    EXPECT_EQ(1, pFace->GetCurSel());
}
