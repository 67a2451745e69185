// Appearance profile: the named set of colours a puzzle is drawn in (board,
// squares and their marked variants, the clock display) and two font sizes.
#pragma once

#include <afx.h>
#include <afxtempl.h>

// Colour property indexes of CAppearanceInfo::SetColour / GetColour. The
// twelve board colours are 0-11; the clock display colours are 16-18;
// 12-15 are not used.
enum HTAppearanceColour
{
    htacBorder = 0,
    htacSquareBorder = 1,
    htacShadedFill = 2,
    htacShadedNumber = 3,
    htacUnshadedFill = 4,
    htacUnshadedNumber = 5,
    htacIslandFill = 6,
    htacIslandNumber = 7,
    htacUnshadedDupFill = 8,
    htacUnshadedDupNumber = 9,
    htacAdjacentShadedFill = 10,
    htacAdjacentShadedNumber = 11,
    htacMCOn = 16,
    htacMCOff = 17,
    htacMCBack = 18
};

// A COLORREF with every bit set: no colour.
#define HT_COLOUR_UNSET ((COLORREF)-1)

class CHTProfileSection;

class CAppearanceInfo
{
public:
    CAppearanceInfo();
    CAppearanceInfo(const CAppearanceInfo& src);
    CAppearanceInfo& operator=(const CAppearanceInfo& src);
    virtual ~CAppearanceInfo();

    // Assigns every field of the source.
    void CopyFrom(const CAppearanceInfo& src);

    CString GetProfileName() const;

    // Stores a colour by property index (see HTAppearanceColour). Any other
    // index changes nothing.
    void SetColour(int nIndex, COLORREF crColour);
    // The colour of a property index; HT_COLOUR_UNSET for an index that
    // names no colour.
    COLORREF GetColour(int nIndex) const;

    // Writes / reads profile number n of section "AppearanceInfo" (values
    // named "<n>_<key>"). A read keeps the current value of every field whose
    // value is missing (or, for a colour, has bits above blue set), and sets
    // the index to n.
    // FALSE when a value could not be written.
    BOOL WriteToRegistry(int nNumber) const;
    void ReadFromRegistry(int nNumber);
    // The same from a section read whole (see HTProfileList.h).
    void ReadFromSection(const CHTProfileSection& section, int nNumber);

    // The built-in profiles "Standard" (index 0) and "Printing" (index 1).
    static CAppearanceInfo AFXAPI MakeStandardProfile();
    static CAppearanceInfo AFXAPI MakePrintingProfile();

public:
    COLORREF m_crBorder;
    COLORREF m_crSquareBorder;
    COLORREF m_crShadedFill;
    COLORREF m_crShadedNumber;
    COLORREF m_crUnshadedFill;
    COLORREF m_crUnshadedNumber;
    COLORREF m_crIslandFill;
    COLORREF m_crIslandNumber;
    COLORREF m_crUnshadedDupFill;
    COLORREF m_crUnshadedDupNumber;
    COLORREF m_crAdjacentShadedFill;
    COLORREF m_crAdjacentShadedNumber;
    CString m_strProfileName;
    int m_nIndex;               // position in the profile list; not stored
    COLORREF m_crMCOn;          // clock display: lit segments
    COLORREF m_crMCOff;         // clock display: unlit segments
    COLORREF m_crMCBack;        // clock display: background
    int m_nMainFontSize;        // points; not stored
    int m_nSmallFontSize;       // points; not stored
};

// Profiles are kept in the registry, never in archives.
template <>
void AFXAPI SerializeElements<CAppearanceInfo>(CArchive& ar, CAppearanceInfo* pElements, INT_PTR nCount);

// The player's appearance profiles.
class CAppearanceInfoList : public CList<CAppearanceInfo, const CAppearanceInfo&>
{
public:
    CAppearanceInfoList();

    // Reads the list from the registry; the two built-in profiles when no
    // count is stored. Returns TRUE.
    BOOL LoadFromRegistry();
    // Writes every profile (numbered by position) and then the count.
    BOOL SaveToRegistry() const;

    // Copies the first profile with the given index; FALSE when none.
    BOOL FindProfile(int nIndex, CAppearanceInfo& profile) const;
    // Gives the profile a fresh index (one more than the highest in the
    // list), appends a copy and returns the index.
    int AddProfile(CAppearanceInfo& profile);
    // Unlinks and destroys the first profile with the given index.
    BOOL RemoveProfile(int nIndex);
};
