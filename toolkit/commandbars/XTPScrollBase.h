// The scroll logic of a control that is not a window but shows its own
// vertical scroll bar (the gallery): the bar's layout (arrows, track, thumb
// and an optional popup button), hit tests and the modal press-and-track
// loop with arrow and page auto-repeat and thumb dragging. It draws nothing
// and scrolls nothing itself: the host gives the bar's rectangle, its range,
// the painter whose metrics the layout reads, and reacts to each command.
#pragma once

#include "XTPCommon.h"

class CXTPCommandBar;
class CXTPControlGalleryPaintManager;

// Parts of the bar, as hit codes.
enum XTPScrollHit
{
    xtpScrollHitNone = 0,
    xtpScrollHitUp = 60,
    xtpScrollHitDown = 61,
    xtpScrollHitPageUp = 62,
    xtpScrollHitPageDown = 63,
    xtpScrollHitThumb = 64,
    xtpScrollHitPopup = 65
};

// The auto-repeat timer of arrow and page presses, set on the tracking window.
#define XTP_SCROLLBAR_TIMER 23345

// The bar's layout. All positions are in the host window's client pixels.
struct SCROLLBARPOSINFO
{
    int posMin;         // the host's nMin
    int posMax;         // nMax
    int page;           // nPage
    int pos;            // nPos
    int pxTop;          // axis start: top of the bar rectangle
    int pxBottom;       // axis end
    int pxLeft;         // cross start
    int pxRight;        // cross end
    int pxThumbLength;  // thumb length (the arrow length while laid out)
    int pxUpArrow;      // first pixel below the up arrow
    int pxDownArrow;    // first pixel of the down arrow
    int pxStart;        // thumb top when a drag began
    int pxThumbBottom;
    int pxThumbTop;
    int pxPopup;        // start of the popup button; 0: none
    int cpxThumb;       // movable range: track length less the thumb
    int pxMin;          // track start
    RECT rc;            // the bar rectangle
    int ht;             // hit code of the part last found under the cursor
    BOOL fVert;         // always 1
};

// The state of one press, alive from the press to the release.
struct SCROLLBARTRACKINFO
{
    BOOL fHitOld;               // the cursor was inside the pressed part
    RECT rcTrack;               // the pressed part, or the thumb's tracking rectangle
    UINT cmdSB;                 // SB_ command of the press; 4 (SB_THUMBTRACK) while dragging; -1 none
    UINT_PTR hTimerSB;          // repeat timer (0: none)
    UINT nRepeatDelay;          // the delay the repeat timer was last set with
    int dpxThumb;               // grip offset: thumb top minus the press y
    int pxOld;                  // thumb top last placed
    int posOld;                 // position last sent with SB_THUMBTRACK
    int posNew;                 // position at the last pixel
    HWND hWndTrack;             // window with capture and the timer
    BOOL bTrackThumb;
    BOOL bCheckButton;          // end the drag when the left button is up (the modal loop sets it)
    SCROLLBARPOSINFO* pSBInfo;
};

class CXTPScrollBase
{
public:
    CXTPScrollBase();
    virtual ~CXTPScrollBase();

    // What the host supplies.
    virtual BOOL IsScrollBarEnabled() const = 0;
    virtual CXTPCommandBar* GetParentWindow() const = 0;
    virtual void GetScrollBarRect(RECT* pRect) = 0;
    virtual void GetScrollInfo(SCROLLINFO* psi) = 0;
    virtual void DoScroll(int cmd, int pos) = 0;
    virtual void RedrawScrollBar() = 0;
    // Lays the bar out from its rectangle and range (see the .cpp).
    virtual void CalcScrollBarInfo(const RECT* lprc, SCROLLBARPOSINFO* pSBInfo, const SCROLLINFO* pSI);
    virtual CXTPControlGalleryPaintManager* GetScrollBarPaintManager() const = 0;

    // Lays the bar out into its own record from the host's rectangle and range.
    void CalcScrollBar();
    // The hit code at a client point.
    int HitTest(int x, int y) const;
    int HitTest(CPoint pt) const { return HitTest(pt.x, pt.y); }
    // The modal press-and-track loop; returns at release or loss of capture.
    // bDirect: a page press moves the thumb to the cursor and drags it.
    void PerformTrackInit(HWND hWnd, int x, int y, SCROLLBARPOSINFO* pSBInfo, BOOL bDirect);

    // The drawing style: the override when set, else by the theme of the
    // painter's paint manager: 2 for theme 0, 5 for 5 and 6, else 3.
    int GetScrollBarStyle() const;
    void SetScrollBarStyle(int nStyle) { m_nScrollBarStyle = nStyle; }

    SCROLLBARPOSINFO* GetScrollBarPosInfo() { return &m_spi; }
    const SCROLLBARPOSINFO* GetScrollBarPosInfo() const { return &m_spi; }
    SCROLLBARTRACKINFO* GetScrollBarTrackInfo() const { return m_pSBTrack; }
    BOOL IsTracking() const { return m_pSBTrack != NULL; }

    // The position the thumb stands for when its top is at a pixel, kept
    // within [min, max + 1 - page] (max with no page).
    static int AFX_CDECL PosFromThumb(const SCROLLBARPOSINFO* pSBInfo, int px);

    // The steps of the tracking loop, callable one by one (the loop is made
    // of them; tests drive them without real input).
    // Starts a press: FALSE when nothing is tracked (a thumb that fills the track).
    BOOL BeginTrack(HWND hWnd, int x, int y, SCROLLBARPOSINFO* pSBInfo, BOOL bDirect);
    // A mouse message at a client point, or 0 for a repeat step.
    void OnTrackMessage(UINT message, CPoint pt);
    // One tick of the repeat timer.
    void OnTrackTimer();
    // The same with the cursor at a client point.
    void OnTrackTimerAt(CPoint pt);
    // Ends the press: releases capture and sends the closing commands.
    void EndTracking();
    // Frees the press record, kills its timer and hit-tests the cursor.
    void FinishTrack();

protected:
    void TrackArrowOrPage(UINT message, CPoint pt);
    void TrackThumb(UINT message, CPoint pt);
    void MoveThumb(int px);
    void SetRepeatTimer(UINT nElapse);
    void KillRepeatTimer();

protected:
    SCROLLBARPOSINFO m_spi;
    SCROLLBARTRACKINFO* m_pSBTrack;
    int m_nScrollBarStyle;
};
