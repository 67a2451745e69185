// The application's profile lists reset to the built-in profiles: Easy,
// Mild, Difficult, Fiendish (indexes 0-3) and Standard, Printing (0-1).
#pragma once

#include "ApplicationInfo.h"

namespace testsupport
{
inline void ResetBuiltInProfiles()
{
    CGradeInfoList& grades = g_ApplicationInfo.m_GradeInfoList;
    grades.RemoveAll();
    grades.AddTail(CGradeInfo::MakeEasyProfile());
    grades.AddTail(CGradeInfo::MakeMildProfile());
    grades.AddTail(CGradeInfo::MakeDifficultProfile());
    grades.AddTail(CGradeInfo::MakeFiendishProfile());
    CAppearanceInfoList& looks = g_ApplicationInfo.m_AppearanceInfoList;
    looks.RemoveAll();
    looks.AddTail(CAppearanceInfo::MakeStandardProfile());
    looks.AddTail(CAppearanceInfo::MakePrintingProfile());
}
} // namespace testsupport
