// An edit control on a command bar: an optional label (icon and caption), a
// field in which the control's edit window sits, and optional spin buttons.
// The paint manager measures it and stores the label width and whether the
// layout changed. (Only what the paint themes read is declared here so far.)
#pragma once

#include "XTPControl.h"
#include "XTPCommandBar.h"

class CXTPControlEdit : public CXTPControl
{
    DECLARE_DYNCREATE(CXTPControlEdit)
public:
    CXTPControlEdit() : m_nLabelWidth(0), m_bDelayReposition(FALSE), m_bShowSpinButtons(FALSE)
    {
        m_controlType = xtpControlEdit;
    }

    int GetLabelWidth() const { return m_nLabelWidth; }
    BOOL IsSpinButtonsVisible() const { return m_bShowSpinButtons; }
    void ShowSpinButtons(BOOL bShow = TRUE) { m_bShowSpinButtons = bShow; }

    // 18 pixels at the right edge, inset 1 pixel at the top, bottom and
    // right; empty without spin buttons.
    CRect GetSpinButtonsRect() const
    {
        if (!m_bShowSpinButtons)
            return CRect(0, 0, 0, 0);
        CRect rc = GetRect();
        return CRect(rc.right - 1 - 18, rc.top + 1, rc.right - 1, rc.bottom - 1);
    }

    // The icon shows on a popup bar when the control has one, elsewhere for
    // the icon styles.
    BOOL IsImageVisible() const
    {
        CXTPCommandBar* pParent = GetParent();
        if (pParent != NULL && pParent->GetType() == xtpBarTypePopup)
            return HasIcon();
        return (GetStyle() == xtpButtonIcon || GetStyle() == xtpButtonIconAndCaption) && HasIcon();
    }

public:
    int m_nLabelWidth;          // written by measuring
    BOOL m_bDelayReposition;    // the layout changed while measuring
    BOOL m_bShowSpinButtons;
};
