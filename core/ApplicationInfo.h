// The game's global settings and the two profile lists.
#pragma once

#include "AppearanceInfo.h"
#include "GradeInfo.h"

// The text of this version, part of the first-run value's name.
#define HT_VERSION_TEXT "v2.11.0000"

class CApplicationInfo
{
public:
    CApplicationInfo();
    // Writes the settings back to the registry, but only when they were
    // loaded in this run: a run that stopped before loading must not write
    // empty profile lists over the player's profiles.
    virtual ~CApplicationInfo();

    // Reads the three flags of section "ApplicationInfo" (each keeping its
    // current value when missing), then both profile lists. Returns TRUE.
    BOOL LoadFromRegistry();
    // Writes the flags (the first-run flag always as 0), then both lists.
    BOOL SaveToRegistry();

    // TRUE once LoadFromRegistry has run.
    BOOL IsLoaded() const { return m_bLoaded; }

public:
    BYTE m_bFirstRunOfVersion;
    BYTE m_bDisplayDebugInfo;
    BYTE m_bTextBelowIcons;
    CAppearanceInfoList m_AppearanceInfoList;
    CGradeInfoList m_GradeInfoList;

private:
    BOOL m_bLoaded;

    CApplicationInfo(const CApplicationInfo&);
    CApplicationInfo& operator=(const CApplicationInfo&);
};

// The one settings object of the program.
extern CApplicationInfo g_ApplicationInfo;
