// A frame with the game's command bars for the command-bar tests: the menu
// bar from menu 102, the "Standard" toolbar 102 and the "Timer" toolbar 130
// docked right of it, command and update handlers that tests steer, and a
// record of the site messages the bars send.
#pragma once

#include <afxwin.h>
#include <gtest/gtest.h>

#include <vector>

#include "XTPCommandBars.h"
#include "XTPCommandBarsOptions.h"
#include "XTPMenuBar.h"
#include "XTPToolBar.h"
#include "XTPPopupBar.h"
#include "XTPDockBar.h"
#include "XTPControls.h"
#include "XTPControlPopup.h"
#include "XTPFrameWnd.h"
#include "XTPPaintManager.h"
#include "resource.h"

namespace cbtest
{
// One site message the frame received.
struct SiteMessage
{
    UINT nMessage;
    WPARAM wParam;
    LPARAM lParam;
    int nId;        // the command id of a control-creation record
};

class CTestFrame : public CXTPFrameWnd
{
    DECLARE_DYNCREATE(CTestFrame)
public:
    CTestFrame();
    virtual ~CTestFrame();

    // Creates the window (hidden unless bShow) at the rectangle.
    BOOL CreateTestFrame(const CRect& rc = CRect(40, 40, 700, 500), BOOL bShow = TRUE);
    void DestroyTestFrame();

    CXTPMenuBar* GetMenuBar() const;
    CXTPToolBar* GetStandardBar() const { return m_pStandard; }
    CXTPToolBar* GetTimerBar() const { return m_pTimer; }

    // Commands received (WM_COMMAND ids, in order).
    std::vector<UINT> m_arrCommands;
    std::vector<SiteMessage> m_arrSite;
    int CountSite(UINT nMessage) const;

    // What the update handlers answer.
    BOOL m_bBranchOpen;         // 2010 disabled, 2011/2012 enabled while set
    int m_nClockMode;           // 2038..2040: exactly one checked
    // A control the frame hands out for this id through 0x285E (0 none).
    int m_nReplaceId;
    CXTPControl* m_pReplacement;

    CXTPToolBar* m_pStandard;
    CXTPToolBar* m_pTimer;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg LRESULT OnBeforeCreateControl(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnAfterCreateControl(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnCreateCommandBar(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnOtherSiteMessage(WPARAM wParam, LPARAM lParam);
    afx_msg void OnCommandRange(UINT nID);
    afx_msg void OnUpdateBranch(CCmdUI* pCmdUI);
    afx_msg void OnUpdateBranchEnd(CCmdUI* pCmdUI);
    afx_msg void OnUpdateClockMode(CCmdUI* pCmdUI);
    afx_msg void OnCustomize();

    DECLARE_MESSAGE_MAP()
};

// Switches drawing effects off and installs the theme for a test.
void PrepareTheme(int nTheme = 0);

// Dispatches what is queued, like the program's loop, and runs one idle pass.
void PumpAndIdle(int nMaxMessages = 1000);

// The captions of a bar's controls, with "|" for a control that begins a group.
std::vector<CString> Layout(CXTPCommandBar* pBar);
// The ids of a bar's controls, with 0 for a group start before a control.
std::vector<int> Ids(CXTPCommandBar* pBar);

// Saves what the screen shows of a window (popups over it included) as a
// snapshot; the window must be visible and on top.
bool SaveScreenSnapshot(HWND hWnd, const char* pszName);

// Live objects of the command bars (for leak checks).
LONG LiveObjects();

// The popup bar tracked last (the innermost open popup), or NULL.
CXTPPopupBar* TopTrackedPopup();

// The popup control of a bar with the caption given ("&Edit" on the menu
// bar), or NULL where the bar has none.
CXTPControlPopup* FindPopup(CXTPCommandBar* pBar, LPCTSTR pszCaption);

// A test on a shown command-bars frame (the theme prepared first) that checks
// no object of the command bars outlives it. A fixture that needs more sets
// it up after SetUp here (returning on a fatal failure).
class CommandBarsFrameTest : public ::testing::Test
{
protected:
    void SetUp() override;
    // Closes what popups are open, destroys the frame and checks the count
    // of live objects.
    void TearDown() override;
    // The frame to open; a fixture can hand out a frame of its own.
    virtual CTestFrame* MakeFrame() { return new CTestFrame(); }

    LONG m_nLive = 0;
    CTestFrame* m_pFrame = NULL;
    CXTPCommandBars* m_pCommandBars = NULL;
};
} // namespace cbtest
