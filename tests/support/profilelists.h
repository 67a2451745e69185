// The application's profile lists: reset to the built-in profiles, and the
// names of the profiles stored in the registry.
#pragma once

#include "ApplicationInfo.h"

#include <string>
#include <vector>

namespace testsupport
{
// Resets the lists to Easy, Mild, Difficult, Fiendish (indexes 0-3) and
// Standard, Printing (0-1).
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

// The names of the stored profiles of the list type, read afresh.
template <class TList>
std::vector<std::string> StoredProfileNames()
{
    TList list;
    list.LoadFromRegistry();
    std::vector<std::string> names;
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
        names.push_back((LPCTSTR)list.GetNext(pos).m_strProfileName);
    return names;
}
} // namespace testsupport
