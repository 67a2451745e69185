// The settings a drop shadow reads from the paint manager its bar draws
// with. The paint manager implements this interface, so the foundation's
// shadow manager needs nothing of the paint themes above it.
#pragma once

#include <afxwin.h>

// Shadow option bits.
enum XTPShadowOptions
{
    xtpShadowOfficeAlpha = 1,       // shadows always, with the lighter alpha ramp
    xtpShadowShowPopupControl = 2   // clipped by the popup's excluded rectangle
};

class CXTPShadowSettings
{
public:
    // Whether the bar's popups get drop shadows at all.
    virtual BOOL IsShadowEnabled() const = 0;
    // XTPShadowOptions bits.
    virtual int GetShadowOptions() const = 0;
    // The colour the shadow darkens towards.
    virtual COLORREF GetShadowColor() const = 0;

protected:
    ~CXTPShadowSettings() = default;
};
