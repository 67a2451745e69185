// The stored form of bars and controls: round trips, shared popups, older
// schemas, and a fuzz pass over every stored form the bars keep.
// ctest: lock registry
#include <gtest/gtest.h>

#include "XTPCommandBarsExchange.h"
#include "XTPCommandBarsOptions.h"
#include "XTPControlComboBox.h"
#include "XTPControlEdit.h"
#include "XTPPopupBar.h"
#include "XTPShortcutManager.h"
#include "XTPControlExtras.h"
#include "XTPZipMemFile.h"
#include "XTPDockBar.h"
#include "XTPImageManager.h"
#include "support/bars_frame.h"
#include "support/canvas.h"
#include "support/packed_bytes.h"
#include "support/profile_app.h"
#include "support/tempfolder.h"

#include <stdlib.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

using testsupport::CBarsFrame;
using testsupport::Packed;
using testsupport::Unpacked;

namespace
{
const char* const kTestKey = "BrindlemarkExchangeTests";

// A customizable frame with a user toolbar that holds every kind of control.
CBarsFrame* CreateRichFrame()
{
    CBarsFrame* pFrame = CBarsFrame::Create(CRect(20, 20, 620, 420), TRUE);
    CXTPCommandBars* pBars = pFrame->GetCommandBars();
    CXTPToolBar* pStandard = pFrame->AddToolBar("Standard", {{57600, "New"}});
    pStandard->SetBarID(102);
    CXTPToolBar* pMine = pBars->CreateCustomToolBar("Mine", 1001);
    CXTPControls* pControls = pMine->GetControls();

    CXTPControlPopup* pPopupA = (CXTPControlPopup*)pControls->Add(xtpControlPopup, 0);
    pPopupA->SetCaption("Shared");
    CXTPPopupBar* pShared = CXTPPopupBar::CreatePopupBar(pBars);
    pShared->GetControls()->Add(xtpControlButton, 2001)->SetCaption("Inside");
    pPopupA->SetCommandBar(pShared);
    CXTPControlPopup* pPopupB = (CXTPControlPopup*)pControls->Add(xtpControlPopup, 0);
    pPopupB->SetCaption("Same");
    pPopupB->SetCommandBar(pShared);
    pShared->InternalRelease();

    CXTPControlEdit* pEdit = (CXTPControlEdit*)pControls->Add(xtpControlEdit, 2002);
    pEdit->SetEditHint("Hint");
    pEdit->ShowSpinButtons(TRUE);
    CXTPControlComboBox* pCombo = (CXTPControlComboBox*)pControls->Add(xtpControlComboBox, 2003);
    pCombo->AddString("one");
    pCombo->AddString("two");
    pCombo->SetDropDownItemCount(5);
    CXTPControl* pButton = pControls->Add(xtpControlButton, 2004);
    pButton->SetCaption("&Button");
    pButton->SetHelpId(77);
    pButton->SetBeginGroup(TRUE);
    pControls->Add(new CXTPControlSelector(), 2005);
    pControls->Add(new CXTPControlLabel(), 2006)->SetCaption("Label");
    pControls->Add(new CXTPControlCheckBox(), 2007);
    return pFrame;
}

// The controls CreateRichFrame put on the user toolbar, as they came back;
// the stored form and a deep copy alike keep the two popups on one bar.
void ExpectRichControls(CXTPControls* pControls)
{
    CXTPControlPopup* pPopupA = DYNAMIC_DOWNCAST(CXTPControlPopup, pControls->GetAt(0));
    CXTPControlPopup* pPopupB = DYNAMIC_DOWNCAST(CXTPControlPopup, pControls->GetAt(1));
    ASSERT_TRUE(pPopupA != NULL && pPopupB != NULL);
    ASSERT_TRUE(pPopupA->GetCommandBar() != NULL);
    EXPECT_EQ(pPopupA->GetCommandBar(), pPopupB->GetCommandBar());
    EXPECT_STREQ("Inside", pPopupA->GetCommandBar()->GetControl(0)->GetCaption());

    CXTPControlEdit* pEdit = DYNAMIC_DOWNCAST(CXTPControlEdit, pControls->FindControl(2002));
    ASSERT_TRUE(pEdit != NULL);
    EXPECT_STREQ("Hint", pEdit->GetEditHint());
    EXPECT_TRUE(pEdit->IsSpinButtonsVisible());
    CXTPControlComboBox* pCombo = DYNAMIC_DOWNCAST(CXTPControlComboBox, pControls->FindControl(2003));
    ASSERT_TRUE(pCombo != NULL);
    EXPECT_EQ(2, pCombo->GetCount());
    EXPECT_EQ(5, pCombo->GetDropDownItemCount());
    CXTPControl* pButton = pControls->FindControl(2004);
    ASSERT_TRUE(pButton != NULL);
    EXPECT_STREQ("&Button", pButton->GetCaption());
    EXPECT_EQ(77, pButton->GetHelpId());
    EXPECT_TRUE(pButton->GetBeginGroup());
    EXPECT_TRUE(pControls->FindControl(2005)->IsKindOf(RUNTIME_CLASS(CXTPControlSelector)));
    EXPECT_TRUE(pControls->FindControl(2006)->IsKindOf(RUNTIME_CLASS(CXTPControlLabel)));
    EXPECT_STREQ("Label", pControls->FindControl(2006)->GetCaption());
    EXPECT_TRUE(pControls->FindControl(2007)->IsKindOf(RUNTIME_CLASS(CXTPControlCheckBox)));
}
} // namespace

class ExchangeTest : public ::testing::Test
{
protected:
    ExchangeTest() : app(kTestKey) {}
    testsupport::ProfileApp app;
};

TEST_F(ExchangeTest, EveryControlKindComesBackAndASharedPopupStaysShared)
{
    CBarsFrame* pFrame = CreateRichFrame();
    pFrame->GetCommandBars()->SaveBarState("CommandBars");
    pFrame->DestroyWindow();

    pFrame = CBarsFrame::Create(CRect(20, 20, 620, 420), TRUE);
    pFrame->AddToolBar("Standard", {{57600, "New"}})->SetBarID(102);
    pFrame->GetCommandBars()->LoadBarState("CommandBars");
    CXTPToolBar* pMine = pFrame->GetCommandBars()->GetToolBar(1001);
    ASSERT_TRUE(pMine != NULL);
    ExpectRichControls(pMine->GetControls());
    pFrame->DestroyWindow();
}

TEST_F(ExchangeTest, CopiedControlsKeepTheirKindAndValues)
{
    CBarsFrame* pFrame = CreateRichFrame();
    CXTPControls* pMine = pFrame->GetCommandBars()->GetToolBar(1001)->GetControls();
    CXTPControls* pCopy = pMine->Duplicate(TRUE);
    ExpectRichControls(pCopy);
    EXPECT_NE(pMine->GetAt(0)->GetCommandBar(), pCopy->GetAt(0)->GetCommandBar()) << "a copy of the popup bar";
    pCopy->InternalRelease();
    pFrame->DestroyWindow();
}

namespace
{
// The control stored by class with the given schema and loaded back (the
// caller releases it), NULL when it does not load.
CXTPControl* RoundTrip(CXTPControl* pControl, int nSchema)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        CXTPCommandBarsArchiveExchange px(ar);
        px.m_nSchema = nSchema;
        CObject* pObject = pControl;
        px.ExchangeObjectByClass(pObject, RUNTIME_CLASS(CXTPControl));
        pControl->DoPropExchange(&px);
        ar.Close();
    }
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    CXTPCommandBarsArchiveExchange px(ar);
    CObject* pObject = NULL;
    if (!px.ExchangeObjectByClass(pObject, RUNTIME_CLASS(CXTPControl)))
        return NULL;
    CXTPControl* pLoaded = (CXTPControl*)pObject;
    pLoaded->DoPropExchange(&px);
    ar.Close();
    return pLoaded;
}
} // namespace

TEST_F(ExchangeTest, AnOlderSchemaLeavesOutTheValuesItDidNotHave)
{
    CXTPControlButton* pButton = new CXTPControlButton();
    pButton->SetCaption("Old");
    pButton->SetHelpId(5);
    pButton->SetWidth(50);
    pButton->SetStyle(xtpButtonCaption);

    for (int nSchema : {7, 20})
    {
        CXTPControl* pLoaded = RoundTrip(pButton, nSchema);
        ASSERT_TRUE(pLoaded != NULL) << nSchema;
        EXPECT_STREQ("Old", pLoaded->GetCaption());
        EXPECT_EQ(nSchema > 16 ? 5 : 0, pLoaded->GetHelpId()) << nSchema;
        EXPECT_EQ(nSchema > 18 ? 50 : 0, pLoaded->GetWidth()) << nSchema;
        EXPECT_EQ(xtpButtonCaption, pLoaded->GetStyle()) << "older forms keep the button's style too";
        pLoaded->InternalRelease();
    }
    pButton->InternalRelease();
}

TEST_F(ExchangeTest, AStoredSizeNoScreenCanShowIsNotKept)
{
    // Damaged or hostile sizes on any bar's control are measured instead;
    // sizes a screen can hold come back.
    const int cxScreen = ::GetSystemMetrics(SM_CXVIRTUALSCREEN);
    const int cyScreen = ::GetSystemMetrics(SM_CYVIRTUALSCREEN);
    struct
    {
        int cx, cy, cxLoaded, cyLoaded;
    } sizes[] = {
        {200000, 100000, 0, 0}, {-5, -1, 0, 0}, {60, 24, 60, 24}, {cxScreen, cyScreen, cxScreen, cyScreen},
        {cxScreen + 1, cyScreen + 1, 0, 0},
    };
    for (const auto& size : sizes)
    {
        CXTPControlButton* pButton = new CXTPControlButton();
        pButton->SetWidth(size.cx);
        pButton->SetHeight(size.cy);
        CXTPControl* pLoaded = RoundTrip(pButton, 20);
        ASSERT_TRUE(pLoaded != NULL);
        EXPECT_EQ(size.cxLoaded, pLoaded->GetWidth()) << size.cx;
        EXPECT_EQ(size.cyLoaded, pLoaded->GetHeight()) << size.cy;
        pLoaded->InternalRelease();
        pButton->InternalRelease();
    }
}

namespace
{
unsigned int g_nSeed = 20261207;
unsigned int Random()
{
    g_nSeed = g_nSeed * 1103515245u + 12345u;
    return g_nSeed >> 8;
}

// The value cut short, or with a few bytes flipped.
std::vector<BYTE> Damage(const std::vector<BYTE>& data)
{
    std::vector<BYTE> out = data;
    if (out.empty())
        return out;
    if (Random() % 2 == 0)
    {
        out.resize(Random() % out.size());
        return out;
    }
    int nFlips = 1 + Random() % 4;
    for (int i = 0; i < nFlips; i++)
        out[Random() % out.size()] ^= (BYTE)(1 + Random() % 255);
    return out;
}
} // namespace

TEST_F(ExchangeTest, FuzzedStoredFormsLoadOrLeaveTheDefaults)
{
    CBarsFrame* pFrame = CreateRichFrame();
    ACCEL accels[] = {{FVIRTKEY | FCONTROL, 'O', 57601}, {FVIRTKEY, VK_F5, 2001}};
    pFrame->GetCommandBars()->GetShortcutManager()->LoadAccelerators(102);
    pFrame->GetCommandBars()->GetShortcutManager()->SetAccelerators(accels, 2);
    pFrame->GetCommandBars()->SaveBarState("CommandBars");
    pFrame->GetCommandBars()->GetShortcutManager()->SaveShortcuts("CommandBars");
    pFrame->GetCommandBars()->SaveOptions("CommandBars");
    pFrame->DestroyWindow();

    DWORD dwType = 0;
    std::vector<BYTE> controls, shortcuts;
    ASSERT_TRUE(app.Query("CommandBars-Controls", "Controls", dwType, controls));
    ASSERT_TRUE(app.Query("CommandBars", "Accelerators", dwType, shortcuts));
    // The packed form unpacked, so that damage reaches the archive itself.
    std::vector<BYTE> raw;
    {
        CXTPZipMemFile file(controls.data(), (UINT)controls.size());
        raw.resize((size_t)file.GetLength());
        file.Read(raw.data(), (UINT)raw.size());
    }

    const char* const kBarValues[][2] = {
        {"CommandBars-Summary", "Bars"},    {"CommandBars-Summary", "ScreenCX"}, {"CommandBars-Bar0", "BarID"},
        {"CommandBars-Bar1", "XPos"},       {"CommandBars-Bar1", "Floating"},    {"CommandBars-Bar1", "MRUDockID"},
        {"CommandBars-DockBar0", "Bars"},   {"CommandBars-DockBar0", "Bar#1"},   {"CommandBars-Options", "Schema"},
        {"CommandBars-Options", "Animation"}};

    for (int nRound = 0; nRound < 40; nRound++)
    {
        std::vector<BYTE> damaged = Damage(nRound % 2 == 0 ? controls : raw);
        app.SetRaw("CommandBars-Controls", "Controls", REG_BINARY, damaged.data(), (DWORD)damaged.size());
        std::vector<BYTE> keys = Damage(shortcuts);
        app.SetRaw("CommandBars", "Accelerators", REG_BINARY, keys.data(), (DWORD)keys.size());
        const char* const* pValue = kBarValues[Random() % (sizeof(kBarValues) / sizeof(kBarValues[0]))];
        DWORD dwValue = Random() % 3 == 0 ? 0x7FFFFFFF : Random();
        app.SetRaw(pValue[0], pValue[1], REG_DWORD, &dwValue, 4);

        CBarsFrame* pLoadFrame = CBarsFrame::Create(CRect(20, 20, 620, 420), TRUE);
        CXTPCommandBars* pBars = pLoadFrame->GetCommandBars();
        CXTPToolBar* pStandard = pLoadFrame->AddToolBar("Standard", {{57600, "New"}});
        pStandard->SetBarID(102);
        pBars->GetShortcutManager()->LoadAccelerators(102);
        DWORD dwStart = ::GetTickCount();
        pBars->LoadOptions("CommandBars");
        pBars->LoadBarState("CommandBars");
        pBars->GetShortcutManager()->LoadShortcuts("CommandBars");
        EXPECT_LT(::GetTickCount() - dwStart, 10000u) << "round " << nRound;

        // Whatever loaded, the program's own bar is there with its control.
        ASSERT_EQ(pStandard, pBars->GetToolBar(102)) << "round " << nRound;
        EXPECT_GE(pStandard->GetControlCount(), 1) << "round " << nRound;
        CXTPToolBar* pMine = pBars->GetToolBar(1001);
        if (pMine != NULL)
        {
            EXPECT_LE(pMine->GetControlCount(), XTP_MAX_STORED_CONTROLS);
        }
        pLoadFrame->DestroyWindow();

        // The pristine values back for the next round.
        app.DeleteKey();
        CBarsFrame* pSaveFrame = CreateRichFrame();
        pSaveFrame->GetCommandBars()->SaveBarState("CommandBars");
        pSaveFrame->GetCommandBars()->SaveOptions("CommandBars");
        pSaveFrame->DestroyWindow();
    }
}

TEST_F(ExchangeTest, TemplateSetsGoIntoATextStoreToo)
{
    CXTPControl* pSaved = new CXTPControlButton();
    pSaved->GetDocTemplatesAssigned().SetAt(201, TRUE);
    pSaved->GetDocTemplatesExcluded().SetAt(305, TRUE);
    pSaved->GetDocTemplatesExcluded().SetAt(306, TRUE);
    CXTPPropExchangeIniFile* pIni = new CXTPPropExchangeIniFile(FALSE, NULL, "Control");
    CXTPPropExchangeSection pxSave(pIni);
    pSaved->DoPropExchange(pxSave);

    CXTPPropExchangeIniFile* pIniLoad = new CXTPPropExchangeIniFile(TRUE, NULL, "Control");
    pIniLoad->SetFileName(pIni->GetFileName());
    CXTPPropExchangeSection pxLoad(pIniLoad);
    CXTPControl* pLoaded = new CXTPControlButton();
    pLoaded->GetDocTemplatesAssigned().SetAt(999, TRUE);   // replaced by what was stored
    pLoaded->DoPropExchange(pxLoad);
    BOOL bValue = FALSE;
    EXPECT_EQ(1, (int)pLoaded->GetDocTemplatesAssigned().GetCount());
    EXPECT_TRUE(pLoaded->GetDocTemplatesAssigned().Lookup(201, bValue));
    EXPECT_EQ(2, (int)pLoaded->GetDocTemplatesExcluded().GetCount());
    EXPECT_TRUE(pLoaded->GetDocTemplatesExcluded().Lookup(306, bValue));
    pSaved->InternalRelease();
    pLoaded->InternalRelease();
}

TEST_F(ExchangeTest, AnAdoptedToolbarIsCreatedDockedWhereItsFlagsLetIt)
{
    CBarsFrame* pFrame = CreateRichFrame();
    CXTPCommandBars* pBars = pFrame->GetCommandBars();
    CXTPToolBar* pMine = pBars->GetToolBar(1001);
    ASSERT_TRUE(pBars->FloatCommandBar(pMine));
    pMine->SetFlags(0, xtpFlagAlignTop | xtpFlagAlignBottom);
    pBars->SaveBarState("CommandBars");
    pFrame->DestroyWindow();

    pFrame = CBarsFrame::Create(CRect(20, 20, 620, 420), TRUE);
    pFrame->AddToolBar("Standard", {{57600, "New"}})->SetBarID(102);
    pFrame->GetCommandBars()->LoadControls("CommandBars", TRUE);
    pMine = pFrame->GetCommandBars()->GetToolBar(1001);
    ASSERT_TRUE(pMine != NULL);
    EXPECT_EQ(xtpBarLeft, pMine->GetPosition()) << "the first side its flags allow, not floating";
    ASSERT_TRUE(pMine->GetDockBar() != NULL);
    EXPECT_EQ(xtpBarLeft, pMine->GetDockBar()->GetPosition());
    EXPECT_TRUE(pMine->CWnd::GetStyle() & WS_CHILD);
    EXPECT_EQ(pFrame->m_hWnd, ::GetParent(pMine->GetDockBar()->m_hWnd));
    pFrame->DestroyWindow();
}

namespace
{
// A user toolbar 1001 whose popup opens bar A, whose popup opens bar B,
// whose popup opens A again; a second popup of the toolbar opens the
// toolbar itself.
CBarsFrame* CreateCyclicFrame(CXTPPopupBar*& pA, CXTPPopupBar*& pB)
{
    CBarsFrame* pFrame = CBarsFrame::Create(CRect(20, 20, 620, 420), TRUE);
    CXTPCommandBars* pBars = pFrame->GetCommandBars();
    CXTPToolBar* pMine = pBars->CreateCustomToolBar("Mine", 1001);
    pA = CXTPPopupBar::CreatePopupBar(pBars);
    pB = CXTPPopupBar::CreatePopupBar(pBars);
    CXTPControlPopup* pOpenA = (CXTPControlPopup*)pMine->GetControls()->Add(xtpControlPopup, 0);
    pOpenA->SetCaption("Loop");
    pOpenA->SetCommandBar(pA);
    pA->GetControls()->Add(xtpControlButton, 2001)->SetCaption("In A");
    CXTPControlPopup* pOpenB = (CXTPControlPopup*)pA->GetControls()->Add(xtpControlPopup, 0);
    pOpenB->SetCommandBar(pB);
    pB->GetControls()->Add(xtpControlButton, 2002)->SetCaption("In B");
    CXTPControlPopup* pBackToA = (CXTPControlPopup*)pB->GetControls()->Add(xtpControlPopup, 0);
    pBackToA->SetCommandBar(pA);
    CXTPControlPopup* pSelf = (CXTPControlPopup*)pMine->GetControls()->Add(xtpControlPopup, 0);
    pSelf->SetCaption("Self");
    pSelf->SetCommandBar(pMine);
    pA->InternalRelease();
    pB->InternalRelease();
    return pFrame;
}
} // namespace

TEST_F(ExchangeTest, BarsThatOpenThemselvesAreWalkedOnlyToABoundedDepth)
{
    // Bars linked in a cycle in memory: every walk that follows popups
    // into their bars ends.
    CXTPPopupBar* pA = NULL;
    CXTPPopupBar* pB = NULL;
    CBarsFrame* pFrame = CreateCyclicFrame(pA, pB);
    CXTPCommandBars* pBars = pFrame->GetCommandBars();
    CXTPControls* pControls = pBars->GetToolBar(1001)->GetControls();
    EXPECT_TRUE(pControls->FindControl(xtpControlError, 4242, FALSE, TRUE) == NULL);
    EXPECT_TRUE(pControls->FindControl(xtpControlError, 2002, FALSE, TRUE) != NULL);
    CXTPControlPopup* pOpenA = NULL;
    for (int i = 0; i < pControls->GetCount(); i++)
    {
        if (CString(pControls->GetAt(i)->GetCaption()) == "Loop")
            pOpenA = DYNAMIC_DOWNCAST(CXTPControlPopup, pControls->GetAt(i));
    }
    ASSERT_TRUE(pOpenA != NULL);
    EXPECT_FALSE(pBars->IsControlHidden(pOpenA));
    EXPECT_TRUE(pOpenA->Compare(pOpenA));
    CXTPControls* pCopy = pControls->Duplicate(TRUE);
    EXPECT_EQ(2, pCopy->GetCount()) << "the two controls of the bar, each copied once";
    pCopy->InternalRelease();
    // The cycle is broken by hand so that the bars can go.
    DYNAMIC_DOWNCAST(CXTPControlPopup, pB->GetControls()->GetAt(1))->SetCommandBar((CXTPCommandBar*)NULL);
    pFrame->DestroyWindow();
}

TEST_F(ExchangeTest, AStoredCycleOfPopupBarsIsBrokenWhenLoaded)
{
    CXTPPopupBar* pA = NULL;
    CXTPPopupBar* pB = NULL;
    CBarsFrame* pFrame = CreateCyclicFrame(pA, pB);
    pFrame->GetCommandBars()->SaveBarState("CommandBars");
    DYNAMIC_DOWNCAST(CXTPControlPopup, pB->GetControls()->GetAt(1))->SetCommandBar((CXTPCommandBar*)NULL);
    pFrame->DestroyWindow();

    pFrame = CBarsFrame::Create(CRect(20, 20, 620, 420), TRUE);
    CXTPCommandBars* pBars = pFrame->GetCommandBars();
    pBars->LoadBarState("CommandBars");
    CXTPToolBar* pMine = pBars->GetToolBar(1001);
    ASSERT_TRUE(pMine != NULL);
    ASSERT_EQ(2, pMine->GetControlCount());

    // The toolbar's own popup opens no toolbar; the chain from "Loop"
    // reaches A and B and ends there, every control kept.
    CXTPControlPopup* pSelf = DYNAMIC_DOWNCAST(CXTPControlPopup, pMine->GetControl(1));
    ASSERT_TRUE(pSelf != NULL);
    EXPECT_TRUE(pSelf->GetCommandBar() == NULL);
    CXTPControlPopup* pLoop = DYNAMIC_DOWNCAST(CXTPControlPopup, pMine->GetControl(0));
    ASSERT_TRUE(pLoop != NULL && pLoop->GetCommandBar() != NULL);
    CXTPCommandBar* pLoadedA = pLoop->GetCommandBar();
    EXPECT_STREQ("In A", pLoadedA->GetControl(0)->GetCaption());
    CXTPControlPopup* pToB = DYNAMIC_DOWNCAST(CXTPControlPopup, pLoadedA->GetControl(1));
    ASSERT_TRUE(pToB != NULL && pToB->GetCommandBar() != NULL);
    CXTPCommandBar* pLoadedB = pToB->GetCommandBar();
    EXPECT_STREQ("In B", pLoadedB->GetControl(0)->GetCaption());
    CXTPControlPopup* pBack = DYNAMIC_DOWNCAST(CXTPControlPopup, pLoadedB->GetControl(1));
    ASSERT_TRUE(pBack != NULL);
    EXPECT_TRUE(pBack->GetCommandBar() == NULL) << "the link back to A is dropped";

    // Opening the popup walks the loaded bars and returns.
    EXPECT_FALSE(pBars->IsControlHidden(pLoop));
    pMine->SetTrackingMode(TRUE, FALSE, TRUE);
    pMine->SetPopuped(0, TRUE);
    EXPECT_TRUE(pLoadedA->IsTrackingMode());
    pMine->SetTrackingMode(FALSE);
    pFrame->DestroyWindow();
}

namespace
{
// Message boxes asked while a state loads: counted and answered "No".
int g_nQuestions = 0;
int AFXAPI CountQuestion(LPCTSTR, UINT, UINT)
{
    g_nQuestions++;
    return IDNO;
}

// The program's "Standard" bar 102 (New, Open) and two user toolbars:
// "First" 1001 of plain buttons and "Second" 1002 whose last control is a
// check box.
CBarsFrame* CreateTwoBarFrame()
{
    CBarsFrame* pFrame = CBarsFrame::Create(CRect(20, 20, 620, 420), TRUE);
    CXTPCommandBars* pBars = pFrame->GetCommandBars();
    CXTPToolBar* pStandard = pFrame->AddToolBar("Standard", {{57600, "New"}, {57601, "Open"}});
    pStandard->SetBarID(102);
    pStandard->GetControls()->CreateOriginalControls();
    CXTPToolBar* pFirst = pBars->CreateCustomToolBar("First", 1001);
    pFirst->GetControls()->Add(xtpControlButton, 3001)->SetCaption("One");
    pFirst->GetControls()->Add(xtpControlButton, 3002)->SetCaption("Two");
    CXTPToolBar* pSecond = pBars->CreateCustomToolBar("Second", 1002);
    pSecond->GetControls()->Add(xtpControlButton, 3003)->SetCaption("Three");
    pSecond->GetControls()->Add(new CXTPControlCheckBox(), 3004);
    return pFrame;
}

// A frame with the program's bars only, as at a start of the program.
CBarsFrame* CreateProgramFrame()
{
    CBarsFrame* pFrame = CBarsFrame::Create(CRect(20, 20, 620, 420), TRUE);
    CXTPToolBar* pStandard = pFrame->AddToolBar("Standard", {{57600, "New"}, {57601, "Open"}});
    pStandard->SetBarID(102);
    pStandard->GetControls()->CreateOriginalControls();
    return pFrame;
}

void ExpectFirstBar(CXTPCommandBars* pBars, const char* pszWhat)
{
    CXTPToolBar* pFirst = pBars->GetToolBar(1001);
    ASSERT_TRUE(pFirst != NULL) << pszWhat;
    int nControls = 0;
    for (int i = 0; i < pFirst->GetControlCount(); i++)
        nControls += pFirst->GetControl(i)->IsTemporary() ? 0 : 1;
    EXPECT_EQ(2, nControls) << pszWhat;
    EXPECT_TRUE(pFirst->GetControls()->FindControl(3002) != NULL) << pszWhat;
    ASSERT_TRUE(pBars->GetToolBar(102) != NULL) << pszWhat;
    EXPECT_TRUE(pBars->GetToolBar(102)->GetControls()->FindControl(57601) != NULL) << pszWhat;
}
} // namespace

TEST_F(ExchangeTest, DamagedStoredControlsKeepEveryBarThatReadsBackWhole)
{
    CBarsFrame* pFrame = CreateTwoBarFrame();
    pFrame->GetCommandBars()->SaveBarState("CommandBars");
    pFrame->DestroyWindow();
    DWORD dwType = 0;
    std::vector<BYTE> stored;
    ASSERT_TRUE(app.Query("CommandBars-Controls", "Controls", dwType, stored));
    ASSERT_EQ(0, memcmp(stored.data(), "ZIP!", 4)) << "the controls are stored packed";
    const std::vector<BYTE> raw = Unpacked(stored);

    // An unknown class name in the second user toolbar: the first bar
    // reads back whole and stays, for good.
    std::vector<BYTE> unknown = raw;
    const std::string strClass = "CXTPControlCheckBox";
    std::vector<BYTE>::iterator it = std::search(unknown.begin(), unknown.end(), strClass.begin(), strClass.end());
    ASSERT_TRUE(it != unknown.end());
    *(it + (strClass.size() - 1)) = 'y';
    app.SetRaw("CommandBars-Controls", "Controls", REG_BINARY, unknown.data(), (DWORD)unknown.size());
    pFrame = CreateProgramFrame();
    pFrame->GetCommandBars()->LoadBarState("CommandBars");
    ExpectFirstBar(pFrame->GetCommandBars(), "unknown class");
    EXPECT_TRUE(pFrame->GetCommandBars()->GetToolBar(1002) == NULL) << "the damaged bar is dropped";
    pFrame->GetCommandBars()->SaveBarState("CommandBars");
    pFrame->DestroyWindow();
    pFrame = CreateProgramFrame();
    pFrame->GetCommandBars()->LoadBarState("CommandBars");
    ExpectFirstBar(pFrame->GetCommandBars(), "saved again after the damaged load");
    pFrame->DestroyWindow();

    // One flipped bit near the end of the packed value: what unpacked
    // before it still gives the first bar.
    std::vector<BYTE> flipped = stored;
    flipped[flipped.size() - 8] ^= 0x04;
    app.SetRaw("CommandBars-Controls", "Controls", REG_BINARY, flipped.data(), (DWORD)flipped.size());
    pFrame = CreateProgramFrame();
    pFrame->GetCommandBars()->LoadBarState("CommandBars");
    ExpectFirstBar(pFrame->GetCommandBars(), "flipped bit");
    pFrame->DestroyWindow();

    // Cut after the first bar's bytes: a popup-free bar read whole is kept.
    std::vector<BYTE> cut(raw.begin(), raw.begin() + (std::search(raw.begin(), raw.end(), strClass.begin(),
                                                                    strClass.end()) - raw.begin()));
    app.SetRaw("CommandBars-Controls", "Controls", REG_BINARY, cut.data(), (DWORD)cut.size());
    pFrame = CreateProgramFrame();
    pFrame->GetCommandBars()->LoadBarState("CommandBars");
    ExpectFirstBar(pFrame->GetCommandBars(), "cut short");
    pFrame->DestroyWindow();
}

TEST_F(ExchangeTest, TheUpdateQuestionComesOnlyWhenTheProgramsBarsChanged)
{
    // The player added Save to the program's Standard bar.
    CBarsFrame* pFrame = CreateProgramFrame();
    CXTPToolBar* pStandard = pFrame->GetCommandBars()->GetToolBar(102);
    pStandard->GetControls()->Add(xtpControlButton, 57603)->SetCaption("Save");
    pFrame->GetCommandBars()->SaveBarState("CommandBars");
    const DWORD dwOwnBars = app.QueryDword("CommandBars-Controls", "OwnBars");
    EXPECT_EQ(pFrame->GetCommandBars()->GetOwnBarsFingerprint(), dwOwnBars);

    // The stored copy of the program's bar damaged (its Open now reads as
    // another command) while the program's bars stayed the same: no
    // question, the bar keeps its own controls.
    CXTPControls* pOriginal = pStandard->GetControls()->GetOriginalControls();
    ASSERT_TRUE(pOriginal != NULL);
    pOriginal->GetAt(1)->SetID(57610);
    pFrame->GetCommandBars()->SaveBarState("CommandBars");
    app.SetRaw("CommandBars-Controls", "OwnBars", REG_DWORD, &dwOwnBars, 4);
    pFrame->DestroyWindow();

    g_nQuestions = 0;
    AfxSetMessageBoxHook(&CountQuestion);
    pFrame = CreateProgramFrame();
    pFrame->GetCommandBars()->LoadBarState("CommandBars");
    EXPECT_EQ(0, g_nQuestions) << "damaged data is no software update";
    CXTPControls* pControls = pFrame->GetCommandBars()->GetToolBar(102)->GetControls();
    EXPECT_TRUE(pControls->FindControl(57601) != NULL);
    EXPECT_TRUE(pControls->FindControl(57610) == NULL);
    // The player's Save on that bar was not taken: the stored value is kept
    // aside, across the exit.
    DWORD dwType = 0;
    std::vector<BYTE> damaged, aside;
    ASSERT_TRUE(app.Query("CommandBars-Controls", "Controls", dwType, damaged));
    ASSERT_TRUE(app.Query("CommandBars-ControlsNotLoaded", "Controls", dwType, aside));
    EXPECT_EQ(damaged, aside);
    pFrame->GetCommandBars()->SaveBarState("CommandBars");
    pFrame->DestroyWindow();
    ASSERT_TRUE(app.Query("CommandBars-ControlsNotLoaded", "Controls", dwType, aside));
    EXPECT_EQ(damaged, aside);
    app.DeleteKey();

    // The program's own bar really changed (a new button): the player is
    // asked, and "No" keeps the customised bar.
    {
        CBarsFrame* pSaveFrame = CreateProgramFrame();
        pSaveFrame->GetCommandBars()->GetToolBar(102)->GetControls()->Add(xtpControlButton, 57603)->SetCaption("Save");
        pSaveFrame->GetCommandBars()->SaveBarState("CommandBars");
        pSaveFrame->DestroyWindow();
    }
    pFrame = CBarsFrame::Create(CRect(20, 20, 620, 420), TRUE);
    CXTPToolBar* pNew = pFrame->AddToolBar("Standard", {{57600, "New"}, {57601, "Open"}, {57607, "Print"}});
    pNew->SetBarID(102);
    pNew->GetControls()->CreateOriginalControls();
    pFrame->GetCommandBars()->LoadBarState("CommandBars");
    AfxSetMessageBoxHook(NULL);
    EXPECT_EQ(1, g_nQuestions);
    EXPECT_TRUE(pFrame->GetCommandBars()->GetToolBar(102)->GetControls()->FindControl(57603) != NULL);
    pFrame->DestroyWindow();
}

TEST_F(ExchangeTest, StoredToolbarsBeyondWhatAFrameHoldsAreDropped)
{
    // More user toolbars than a frame may hold: the first ones come back
    // up to the bound, the rest are dropped, and the bar records read are
    // bounded the same way.
    const int nStored = XTP_MAX_STORED_TOOLBARS + 12;
    CBarsFrame* pFrame = CreateProgramFrame();
    CXTPCommandBars* pBars = pFrame->GetCommandBars();
    pBars->LockLayout(TRUE);
    for (int i = 0; i < nStored; i++)
    {
        CString strName;
        strName.Format("Mine %d", i);
        CXTPToolBar* pBar = pBars->CreateCustomToolBar(strName, 5000 + i);
        ASSERT_TRUE(pBar != NULL);
        pBar->GetControls()->Add(xtpControlButton, 57600)->SetCaption("New");
    }
    pBars->LockLayout(FALSE);
    pBars->SaveBarState("CommandBars");
    EXPECT_EQ((DWORD)(nStored + 1), app.QueryDword("CommandBars-Summary", "Bars"));
    pFrame->DestroyWindow();

    pFrame = CreateProgramFrame();
    pBars = pFrame->GetCommandBars();
    pBars->LoadBarState("CommandBars");
    EXPECT_EQ((int)XTP_MAX_STORED_TOOLBARS, pBars->GetCount());
    EXPECT_TRUE(pBars->GetToolBar(5000) != NULL);
    EXPECT_TRUE(pBars->GetToolBar(5000 + XTP_MAX_STORED_TOOLBARS - 2) != NULL);
    EXPECT_TRUE(pBars->GetToolBar(5000 + XTP_MAX_STORED_TOOLBARS - 1) == NULL);
    EXPECT_TRUE(pBars->GetToolBar(102) != NULL);
    pFrame->DestroyWindow();
}

namespace
{
// The buttons of "First" (1001) get images of their own.
void GiveFirstBarImages(CXTPCommandBars* pBars)
{
    CXTPToolBar* pFirst = pBars->GetToolBar(1001);
    for (int i = 0; i < 2; i++)
    {
        HBITMAP hBitmap =
            testsupport::MakeAlphaBitmap(16, 16, [=](int, int) { return testsupport::Argb(255, 200, 40 * i, 0); });
        UINT nId = pBars->GetImageManager()->AddCustomIcon(CXTPImageManagerIconHandle(hBitmap));
        ::DeleteObject(hBitmap);
        pFirst->GetControls()->FindControl(3001 + i)->SetCustomIconId((int)nId);
    }
}

size_t FindBytes(const std::vector<BYTE>& data, const std::vector<BYTE>& what, size_t nFrom)
{
    auto it = std::search(data.begin() + nFrom, data.end(), what.begin(), what.end());
    return it == data.end() ? std::string::npos : (size_t)(it - data.begin());
}
} // namespace

TEST_F(ExchangeTest, ADamagedButtonImageLosesOnlyThatImageNotItsToolbar)
{
    const std::string strCheck = "CXTPImageManagerIcons";
    const std::vector<BYTE> check(strCheck.begin(), strCheck.end());
    for (int nStore = 0; nStore < 2; nStore++)
    {
        for (int nDamage = 0; nDamage < 3; nDamage++)
        {
            const char* const apszDamage[] = {"icon count 0xFFFF", "flipped bit before the bitmap header",
                                              "flipped top bit before the bitmap header"};
            SCOPED_TRACE(std::string(nStore == 0 ? "registry: " : "INI file: ") + apszDamage[nDamage]);
            testsupport::CTempFolder folder;
            std::unique_ptr<testsupport::IniProfile> ini;
            if (nStore == 1)
                ini.reset(new testsupport::IniProfile(folder.Path("bars.ini")));

            CBarsFrame* pFrame = CreateTwoBarFrame();
            GiveFirstBarImages(pFrame->GetCommandBars());
            pFrame->GetCommandBars()->SaveBarState("CommandBars");
            pFrame->DestroyWindow();
            std::vector<BYTE> raw = Unpacked(testsupport::ProfileBinary("CommandBars-Controls", "Controls"));

            // The image of "Two" is the second icon set stored.
            size_t nSet = FindBytes(raw, check, 0);
            ASSERT_NE(std::string::npos, nSet);
            nSet = FindBytes(raw, check, nSet + 1);
            ASSERT_NE(std::string::npos, nSet);
            const size_t nCount = nSet + check.size();
            const size_t nHeader = FindBytes(raw, {0x34, 0x00, 0x28, 0x00, 0x00, 0x00}, nCount);
            ASSERT_EQ(nCount + 2 + 12, nHeader);
            if (nDamage == 0)
                raw[nCount] = raw[nCount + 1] = 0xFF;
            else
                raw[nHeader + 1] ^= nDamage == 1 ? 0x01 : 0x80;
            testsupport::WriteProfileBinary("CommandBars-Controls", "Controls", Packed(raw));
            XTPImageManager()->RemoveAll();

            pFrame = CreateProgramFrame();
            CXTPCommandBars* pBars = pFrame->GetCommandBars();
            pBars->LoadBarState("CommandBars");
            ExpectFirstBar(pBars, "loaded");
            CXTPToolBar* pFirst = pBars->GetToolBar(1001);
            ASSERT_TRUE(pFirst != NULL);
            CXTPControl* pOne = pFirst->GetControls()->FindControl(3001);
            CXTPControl* pTwo = pFirst->GetControls()->FindControl(3002);
            ASSERT_TRUE(pOne != NULL && pTwo != NULL);
            EXPECT_TRUE(pOne->GetCustomIconId() != 0 && XTPImageManager()->GetImage(pOne->GetCustomIconId(), 16))
                << "the other image stays";
            // A lying count loses nothing; a damaged image goes alone.
            EXPECT_EQ(nDamage == 0, pTwo->GetCustomIconId() != 0);
            EXPECT_EQ(nDamage == 0, XTPImageManager()->GetImage(pTwo->GetIconId(), 16) != NULL);
            CXTPToolBar* pSecond = pBars->GetToolBar(1002);
            ASSERT_TRUE(pSecond != NULL) << "what follows the damage reads in step";
            EXPECT_TRUE(pSecond->GetControls()->FindControl(3004) != NULL);
            EXPECT_NE(7u, AfxGetApp()->GetProfileInt("CommandBars-ControlsNotLoaded", "LoadFromFile", 7))
                << "the stored value is kept aside";

            // The next exit and start keep the toolbar and its controls.
            pBars->SaveBarState("CommandBars");
            pFrame->DestroyWindow();
            XTPImageManager()->RemoveAll();
            pFrame = CreateProgramFrame();
            pFrame->GetCommandBars()->LoadBarState("CommandBars");
            ExpectFirstBar(pFrame->GetCommandBars(), "after the next start");
            EXPECT_TRUE(pFrame->GetCommandBars()->GetToolBar(1002) != NULL);
            pFrame->DestroyWindow();
            XTPImageManager()->RemoveAll();
            app.DeleteKey();
        }
    }
}

TEST_F(ExchangeTest, PopupBarsSharedDownALongChainAreFingerprintedOnceEach)
{
    // A user toolbar whose popup opens a chain of 30 bars in which every
    // bar opens the next one through two popups: walking every path would
    // take 2^29 steps, walking every bar once takes 60.
    CBarsFrame* pFrame = CreateProgramFrame();
    CXTPCommandBars* pBars = pFrame->GetCommandBars();
    CXTPToolBar* pMine = pBars->CreateCustomToolBar("Mine", 1001);
    CXTPControls* pControls = pMine->GetControls();
    CXTPPopupBar* pDeepest = NULL;
    CXTPPopupBar* pHead = NULL;
    for (int nLevel = 0; nLevel < 30; nLevel++)
    {
        CXTPPopupBar* pNext = CXTPPopupBar::CreatePopupBar(pBars);
        if (pHead == NULL)
            pHead = pNext;
        pNext->GetControls()->Add(xtpControlButton, 2001)->SetCaption("Leaf");
        for (int i = 0; i < (nLevel == 0 ? 1 : 2); i++)
        {
            CXTPControlPopup* pPopup = (CXTPControlPopup*)pControls->Add(xtpControlPopup, 0);
            pPopup->SetCaption(i == 0 ? "Left" : "Right");
            pPopup->SetCommandBar(pNext);
        }
        pNext->InternalRelease();
        pControls = pNext->GetControls();
        pDeepest = pNext;
    }
    const DWORD dwBefore = pBars->GetControlsFingerprint();
    EXPECT_EQ(dwBefore, pBars->GetControlsFingerprint());
    // The same chain in the stored copy of a program bar's own controls.
    CXTPControls* pOriginal = new CXTPControls();
    pOriginal->SetCommandBars(pBars);
    CXTPControlPopup* pChain = (CXTPControlPopup*)pOriginal->Add(xtpControlPopup, 0);
    pChain->SetCommandBar(pHead);
    CXTPToolBar* pStandard = pBars->GetToolBar(102);
    CXTPControls* pOwn = pStandard->GetControls()->GetOriginalControls();
    pOwn->InternalAddRef();
    pStandard->GetControls()->SetOriginalControls(pOriginal);
    EXPECT_NE(0u, pBars->GetOwnBarsFingerprint());
    pStandard->GetControls()->SetOriginalControls(pOwn);   // takes over the reference
    pDeepest->GetControls()->GetAt(0)->SetCaption("Changed");
    EXPECT_NE(dwBefore, pBars->GetControlsFingerprint()) << "a change at the far end counts";
    pBars->SaveBarState("CommandBars");
    pFrame->DestroyWindow();

    pFrame = CreateProgramFrame();
    pFrame->GetCommandBars()->LoadBarState("CommandBars");
    EXPECT_TRUE(pFrame->GetCommandBars()->GetToolBar(1001) != NULL);
    EXPECT_FALSE(pFrame->GetCommandBars()->IsChangedSinceLoad());
    pFrame->DestroyWindow();
}
