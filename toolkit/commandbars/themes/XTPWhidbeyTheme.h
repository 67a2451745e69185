// The Whidbey command-bar theme: the Office 2003 look in the quieter
// beige-grey colours of a development environment. It never applies the
// Office 2003 scheme sets, draws separators within a row as single lines and
// takes its own colours from the Windows colour scheme.
#pragma once

#include "XTPOffice2003Theme.h"

namespace XTPPaintThemes
{
class CXTPWhidbeyTheme : public CXTPOffice2003Theme
{
public:
    CXTPWhidbeyTheme();
    virtual ~CXTPWhidbeyTheme();

    virtual void RefreshMetrics();
    virtual int BaseTheme();
};
} // namespace XTPPaintThemes
