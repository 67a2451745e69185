// A combo box on a command bar: an optional label (icon and caption) and a
// field with a drop-down button. The paint manager measures it and stores
// the label width, the drop-down button width and whether the layout
// changed; it asks the control to draw its current text into the field.
// (Only what the paint themes read is declared here so far.)
#pragma once

#include "XTPControlPopup.h"
#include "XTPCommandBar.h"

class CXTPControlComboBox : public CXTPControlPopup
{
    DECLARE_DYNCREATE(CXTPControlComboBox)
public:
    CXTPControlComboBox() : m_nLabelWidth(0), m_nThumbWidth(0), m_bDelayReposition(FALSE), m_bDropped(FALSE)
    {
        m_controlType = xtpControlComboBox;
    }

    int GetLabelWidth() const { return m_nLabelWidth; }
    int GetThumbWidth() const { return m_nThumbWidth; }
    BOOL GetDroppedState() const { return m_bDropped; }
    CString GetEditText() const { return m_strEditText; }
    void SetEditText(LPCTSTR lpszText) { m_strEditText = lpszText; }

    // The icon shows on a popup bar when the control has one, elsewhere for
    // the icon styles.
    BOOL IsImageVisible() const
    {
        CXTPCommandBar* pParent = GetParent();
        if (pParent != NULL && pParent->GetType() == xtpBarTypePopup)
            return HasIcon();
        return (GetStyle() == xtpButtonIcon || GetStyle() == xtpButtonIconAndCaption) && HasIcon();
    }

    // Draws the current text into the field's text rectangle.
    virtual void DrawEditText(CDC* pDC, CRect rcText)
    {
        pDC->SetBkMode(TRANSPARENT);
        pDC->DrawText(m_strEditText, &rcText, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    }

public:
    int m_nLabelWidth;          // written by measuring
    int m_nThumbWidth;          // width of the drop-down button, written by measuring
    BOOL m_bDelayReposition;    // the layout changed while measuring
    BOOL m_bDropped;            // the list is open
    CString m_strEditText;
};
