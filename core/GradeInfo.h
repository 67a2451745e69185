// Difficulty profile: the grid size of a new puzzle, the playing aids the
// board offers, and the time allowed.
#pragma once

#include <afx.h>
#include <afxtempl.h>

// Largest number of columns or rows of a puzzle (in a file or a profile).
#define HT_MAX_GRID_SIDE 64

// The clock shows hours, minutes and seconds with two digits each: a stored
// time beyond what it shows is not believed (and minutes x 60 cannot
// overflow).
#define HT_MAX_CLOCK_SECONDS (99 * 3600 + 59 * 60 + 59)
#define HT_MAX_STORED_MINUTES (HT_MAX_CLOCK_SECONDS / 60)

// The longer side of a grid of columns x rows: also the highest number a
// square of that grid may hold.
inline int HTLargestSide(int nColumns, int nRows)
{
    return nColumns > nRows ? nColumns : nRows;
}

class CHTProfileSection;

class CGradeInfo
{
public:
    CGradeInfo();
    CGradeInfo(const CGradeInfo& src);
    CGradeInfo& operator=(const CGradeInfo& src);

    // Assigns every field of the source, name and index included.
    CGradeInfo& CopyFrom(const CGradeInfo& src);

    CString GetProfileName() const;

    // Writes / reads profile number n of section "GradeInfo" (values named
    // "<n>_<key>"). A read keeps the current value of every field whose value
    // is missing (or, for the grid size, outside 1..HT_MAX_GRID_SIDE, for
    // the minutes outside 0..HT_MAX_STORED_MINUTES), and sets the index to n.
    // FALSE when a value could not be written.
    BOOL WriteToRegistry(int nNumber) const;
    void ReadFromRegistry(int nNumber);
    // The same from a section read whole (see HTProfileList.h).
    void ReadFromSection(const CHTProfileSection& section, int nNumber);

    // The built-in profiles, indexes 0 to 3.
    static CGradeInfo AFXAPI MakeEasyProfile();
    static CGradeInfo AFXAPI MakeMildProfile();
    static CGradeInfo AFXAPI MakeDifficultProfile();
    static CGradeInfo AFXAPI MakeFiendishProfile();

public:
    int m_nColumns;
    int m_nRows;
    BYTE m_bShowIslandSquares;
    BYTE m_bShowUnshadedDups;
    BYTE m_bShowAdjacentShaded;
    BYTE m_bEnableUnshadedUpdate;
    BYTE m_bEnableAutoMark;
    int m_nMinutesToComplete;
    BYTE m_bForceComplete;
    CString m_strProfileName;
    int m_nIndex;               // position in the profile list; not stored
};

// Profiles are kept in the registry, never in archives.
template <>
void AFXAPI SerializeElements<CGradeInfo>(CArchive& ar, CGradeInfo* pElements, INT_PTR nCount);

// The player's difficulty profiles.
class CGradeInfoList : public CList<CGradeInfo, const CGradeInfo&>
{
public:
    CGradeInfoList();

    // Reads the list from the registry; the four built-in profiles when no
    // count is stored. Returns TRUE.
    BOOL LoadFromRegistry();
    // Writes every profile (numbered by position) and then the count.
    BOOL SaveToRegistry() const;

    // Copies the first profile with the given index; FALSE when none.
    BOOL FindProfile(int nIndex, CGradeInfo& profile) const;
    // Gives the profile a fresh index (one more than the highest in the
    // list), appends a copy and returns the index.
    int AddProfile(CGradeInfo& profile);
    // Unlinks and destroys the first profile with the given index; FALSE
    // (and nothing changed) when none has it.
    BOOL RemoveProfile(int nIndex);
};
