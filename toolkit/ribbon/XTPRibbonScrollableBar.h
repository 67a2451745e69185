// The part of a bar that shows groups and scrolls them sideways: the ribbon
// bar and the tab popup.
#pragma once

#include "XTPControlButton.h"

class CXTPCommandBar;
class CXTPControl;
class CXTPRibbonTab;

// The groups-scroll timer.
#define XTP_TID_RIBBONGROUPSSCROLL 17821

// The step of one groups scroll, in pixels.
#define XTP_RIBBONGROUPSSCROLL_STEP 40

// The part of a bar that shows groups and scrolls them sideways: the ribbon
// bar and the tab popup.
class CXTPRibbonScrollableBar
{
public:
    // A groups-scroll button: pressing it scrolls with auto-repeat.
    class CControlGroupsScroll : public CXTPControlButton
    {
        DECLARE_DYNCREATE(CControlGroupsScroll)
    public:
        explicit CControlGroupsScroll(BOOL bScrollLeft = FALSE);
        virtual void Draw(CDC* pDC);
        virtual void OnClick(BOOL bKeyboard = FALSE, CPoint pt = CPoint(0, 0));
        virtual BOOL IsCustomizeMovable() const { return FALSE; }

        BOOL m_bScrollLeft;
    };

    CXTPRibbonScrollableBar();
    virtual ~CXTPRibbonScrollableBar() {}

    virtual void OnGroupsScroll(BOOL bScrollLeft);
    virtual CRect GetGroupsRect() const = 0;

    // Adds the two scroll buttons to the bar.
    void InitScrollableBar(CXTPCommandBar* pParent);
    // Shows the buttons that have something to scroll to and places them.
    void ShowScrollableRect(BOOL bShowLeft, BOOL bShowRight);
    // The offset asked for (scroll buttons, code); the groups of the shown
    // tab keep the offset their last layout could show.
    int GetGroupsScrollPos() const { return m_nGroupsScrollPos; }
    int GetShownGroupsScrollPos() const;
    void SetGroupsScrollPos(int nPos);
    // Scrolls so that a control of a group shows whole.
    void EnsureControlVisible(CXTPControl* pControl);
    CXTPCommandBar* GetScrollableParent() const { return m_pParentBar; }
    CControlGroupsScroll* GetScrollLeft() const { return m_pControlScrollGroupsLeft; }
    CControlGroupsScroll* GetScrollRight() const { return m_pControlScrollGroupsRight; }
    // The tab whose groups this bar shows.
    virtual CXTPRibbonTab* GetShownTab() const = 0;

public:
    int m_nGroupsScrollPos;
    CXTPCommandBar* m_pParentBar;
    CControlGroupsScroll* m_pControlScrollGroupsLeft;
    CControlGroupsScroll* m_pControlScrollGroupsRight;
};
