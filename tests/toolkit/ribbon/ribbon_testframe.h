// A frame with a ribbon for the ribbon's tests: the ribbon stands in for
// the menu bar, drawn by its own theme; a sample set of tabs and groups can
// be built on it; the frame records the tab notifications and can veto a
// tab change.
#pragma once

#include <afxwin.h>
#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <vector>

#include "XTPCommandBars.h"
#include "XTPCommandBarsOptions.h"
#include "XTPControls.h"
#include "XTPControlGallery.h"
#include "XTPControlPopup.h"
#include "XTPFrameWnd.h"
#include "XTPRibbonBar.h"
#include "XTPRibbonTheme.h"

namespace ribbontest
{
class CRibbonFrame : public CXTPFrameWnd
{
    DECLARE_DYNCREATE(CRibbonFrame)
public:
    CRibbonFrame();

    // Creates the window with its ribbon (shown unless bShow is FALSE).
    BOOL CreateRibbonFrame(const CRect& rc = CRect(30, 30, 730, 450), BOOL bShow = TRUE);
    void DestroyRibbonFrame();

    CXTPRibbonBar* GetRibbon() const;
    CXTPRibbonTheme* GetTheme() const { return m_pTheme; }

    // Three tabs of groups with large and small buttons, and a pair of
    // contextual tabs.
    void BuildSample();
    // Lays the frame out and handles what is queued.
    void Settle();

    std::vector<UINT> m_arrCommands;
    std::vector<int> m_arrNotifications;    // codes of WM_XTP_COMMAND
    LRESULT m_lVetoTabChange;               // the answer to -552
    std::vector<UINT> m_arrDisabled;        // commands whose update handler disables them
    std::function<void()> m_fnMoreCommands; // runs on "More Commands..." (also noted in m_arrCommands)

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg LRESULT OnControlNotify(WPARAM wParam, LPARAM lParam);
    afx_msg void OnCommandRange(UINT nID);
    afx_msg void OnMoreCommands();
    afx_msg void OnUpdateCommand(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()

    CXTPRibbonTheme* m_pTheme;
};

// Dispatches what is queued and runs one idle pass.
void PumpAndIdle(int nMaxMessages = 1000);
// Runs the application's idle pass as its message loop does when the queue
// is empty: WM_IDLEUPDATECMDUI to the main frame and all its descendants
// (and to every other frame), which disables commands that have no handler.
void RunIdlePass();
// Pumps (with idle passes) until a condition holds or about two seconds
// passed; whether it holds.
template <class F>
bool PumpUntil(F condition)
{
    for (int i = 0; i < 100 && !condition(); i++)
    {
        PumpAndIdle();
        ::Sleep(20);
    }
    return condition();
}
// A real left click (or double click) at a screen point, as the user makes
// it (SendInput), then idle passes while what it does happens. Clicks of
// separate calls are kept further apart than the double-click time.
void RealClick(CPoint ptScreen, int nClicks = 1);
// A real right click at a screen point, then idle passes.
void RealRightClick(CPoint ptScreen);
// A real key press and release (SendInput), then idle passes.
void RealKey(WORD nVirtKey);
// A control's centre on the screen.
CPoint ScreenCentre(CXTPControl* pControl);
// Live objects of the command bars (for leak checks).
LONG LiveObjects();
// The number of live GDI objects (see support/gdi_count.h) and the number
// of the thread's windows.
DWORD GdiMark();
int WindowCount();
// Saves a window's client area as painted (children included) as a snapshot.
bool SaveWindowPicture(HWND hWnd, const char* pszName);
// Saves what the screen shows of a window (popups over it included).
bool SaveScreenPicture(HWND hWnd, const char* pszName);
// What the screen shows of a control in dark ink (text, outlines; not the
// light faces of the ribbon): the number of such pixels and the width of
// the columns they span.
struct Ink
{
    int nPixels;
    int nSpan;
};
Ink ControlInkOnScreen(CXTPControl* pControl);
// The popup bar opened last of those the mouse manager tracks, NULL when none is open.
CXTPPopupBar* TopTrackedPopup();
// A real key press or release, its messages handled as the game's message
// loop handles them (the frame's pre-translation first).
void PressKey(CWnd* pFrame, WORD nVirtKey, BOOL bUp);
// Keys pressed and released one after another by real input.
void TypeKeys(CWnd* pFrame, std::initializer_list<WORD> keys);
// The captions of the key tips shown.
std::vector<CString> TipCaptions(CXTPCommandBars* pBars);

// A test on a shown ribbon frame (800 x 450 at 20, 20) that checks no
// object of the command bars outlives it.
class RibbonFrameTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;
    // Opens the shown frame at rc; a fatal failure when it cannot.
    void OpenFrame(const CRect& rc);
    // Sizes the frame, lays it out and paints it.
    void Resize(int cx, int cy);
    // The commands of the quick-access toolbar in order.
    std::vector<int> QuickIds() const;

    CRibbonFrame* m_pFrame = NULL;
    CXTPRibbonBar* m_pRibbon = NULL;
    LONG m_nLive = 0;
};

// A gallery item: an outlined swatch of a colour, framed as selected or
// checked by the gallery's paint manager.
class SwatchItem : public CXTPControlGalleryItem
{
public:
    explicit SwatchItem(COLORREF clr) : m_clr(clr) {}
    void Draw(CDC* pDC, CXTPControlGallery* pGallery, CRect rc, BOOL bEnabled, BOOL bSelected, BOOL bPressed,
              BOOL bChecked) override
    {
        if (bSelected || bChecked)
            pGallery->GetPaintManager()->DrawRectangle(pDC, rc, bSelected, bPressed, bEnabled, bChecked, FALSE,
                                                       xtpBarTypeNormal, xtpBarTop);
        CRect rcSwatch(rc);
        rcSwatch.DeflateRect(3, 3);
        pDC->FillSolidRect(rcSwatch, m_clr);
        pDC->Draw3dRect(rcSwatch, RGB(110, 120, 140), RGB(110, 120, 140));
    }
    COLORREF m_clr;
};

// The same on a frame of 820 x 400 brought to the front, with the sample
// tabs and groups built.
class RibbonSampleTest : public RibbonFrameTest
{
protected:
    void SetUp() override;
};
} // namespace ribbontest
