// Registry storage and index look-ups shared by the profile lists
// (CAppearanceInfoList, CGradeInfoList). A profile type has a public m_nIndex,
// CopyFrom, and WriteToRegistry / ReadFromSection of its number n.
#pragma once

#include <afx.h>
#include <afxtempl.h>

#include "XTRegistryManager.h"

#include <map>
#include <set>
#include <string>

// A stored profile count above this is taken as damaged and clamped, so that a
// bad value cannot make a load run on for millions of registry reads.
#define HT_MAX_STORED_PROFILES 1000

// The registry value name "<n>_<key>" of profile number n.
inline CString HTProfileEntryName(int nNumber, const char* pszKey)
{
    CString strEntry;
    strEntry.Format("%d_%s", nNumber, pszKey);
    return strEntry;
}

// Every value of one profile section, read in one pass (from the registry
// below HKEY_LOCAL_MACHINE, or from the INI file when one is set), with the
// same rules as single reads: a number is a 4-byte DWORD value, a text a
// string value.
class CHTProfileSection
{
public:
    // Empties the snapshot and reads the section; FALSE when it cannot be opened.
    BOOL Read(const char* pszSection);
    void Clear();

    // The stored number, or the default when it is missing or not a number.
    UINT GetInt(const char* pszEntry, int nDefault) const;
    // The stored text, or the default when it is missing or not a text.
    CString GetString(const char* pszEntry, const char* pszDefault) const;
    // TRUE when profile number n has any value "<n>_<key>" stored.
    BOOL HasNumber(int nNumber) const;
    // The highest profile number n with a value "<n>_<key>" stored; -1 for none.
    int GetHighestNumber() const;
    // TRUE when the entry is stored but holds no number: a registry value
    // of another type than DWORD, or a file line without leading digits.
    BOOL IsStoredAsNonNumber(const char* pszEntry) const;

private:
    BOOL ReadIniSection(const char* pszSection, const char* pszFile);
    void AddEntry(const char* pszName, size_t nNameLength);

    std::map<std::string, DWORD> m_ints;          // by upper-case name
    std::map<std::string, std::string> m_strings; // by upper-case name
    std::set<int> m_numbers;
    std::set<std::string> m_nonNumbers;           // by upper-case name
};

// Empties the list and reads the stored profiles 0 to count - 1 of the
// section (the count bounded by HT_MAX_STORED_PROFILES) from one read of the
// whole section. A profile with any value stored loads, its missing values
// keeping the constructor's; a number with no value at all is skipped and
// the later ones still load, so no stored profile is ever dropped. FALSE
// (and the list left empty) when no profile is read.
template <class TProfile, class TList>
BOOL HTReadProfileList(TList& list, const char* pszSection, const char* pszCountEntry)
{
    list.RemoveAll();
    CHTProfileSection section;
    if (!section.Read(pszSection))
        return FALSE;
    int nCount = (int)section.GetInt(pszCountEntry, 0);
    if (nCount < 0 || section.IsStoredAsNonNumber(pszCountEntry))
    {
        // A count that is no count at all must not hide the profiles the
        // player stored (and let the built-ins overwrite them at exit): every
        // profile number that has values is read.
        int nStored = section.GetHighestNumber() + 1;
        TRACE("profile section %s: the count is damaged; profiles 0 to %d are read\n", pszSection,
              nStored - 1);
        nCount = nStored;
    }
    if (nCount > HT_MAX_STORED_PROFILES)
    {
        TRACE("profile section %s: a count of %d is read as %d\n", pszSection, nCount, HT_MAX_STORED_PROFILES);
        nCount = HT_MAX_STORED_PROFILES;
    }
    for (int n = 0; n < nCount; n++)
    {
        if (!section.HasNumber(n))
        {
            TRACE("profile section %s: profile %d has no values and is skipped\n", pszSection, n);
            continue;
        }
        TProfile profile;
        profile.ReadFromSection(section, n);
        list.AddTail(profile);
    }
    return !list.IsEmpty();
}

// Writes every profile (numbered by position) and then the count; FALSE
// when a value could not be written.
template <class TList>
BOOL HTWriteProfileList(const TList& list, const char* pszSection, const char* pszCountEntry)
{
    BOOL bWritten = TRUE;
    int nNumber = 0;
    for (POSITION pos = list.GetHeadPosition(); pos != NULL; nNumber++)
        bWritten &= list.GetNext(pos).WriteToRegistry(nNumber);

    CXTRegistryManager regManager(HKEY_LOCAL_MACHINE);
    bWritten &= regManager.WriteProfileInt(pszSection, pszCountEntry, (int)list.GetCount());
    if (!bWritten)
        TRACE("profiles of %s: not every value could be written\n", pszSection);
    return bWritten;
}

// Copies the first profile with the given index; FALSE when none.
template <class TList, class TProfile>
BOOL HTFindProfile(const TList& list, int nIndex, TProfile& profile)
{
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
    {
        const TProfile& candidate = list.GetNext(pos);
        if (candidate.m_nIndex == nIndex)
        {
            profile.CopyFrom(candidate);
            return TRUE;
        }
    }
    return FALSE;
}

// Gives the profile one more than the highest index in the list, appends a
// copy and returns the index.
template <class TList, class TProfile>
int HTAddProfile(TList& list, TProfile& profile)
{
    int nHighest = -1;
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
    {
        const TProfile& candidate = list.GetNext(pos);
        if (candidate.m_nIndex > nHighest)
            nHighest = candidate.m_nIndex;
    }
    profile.m_nIndex = nHighest + 1;
    list.AddTail(profile);
    return profile.m_nIndex;
}

// Unlinks and destroys the first profile with the given index; FALSE (and
// nothing changed) when none has it.
template <class TList>
BOOL HTRemoveProfile(TList& list, int nIndex)
{
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
    {
        POSITION posCurrent = pos;
        if (list.GetNext(pos).m_nIndex == nIndex)
        {
            list.RemoveAt(posCurrent);
            return TRUE;
        }
    }
    return FALSE;
}
