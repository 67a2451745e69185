// Registry storage and index look-ups shared by the profile lists
// (CAppearanceInfoList, CGradeInfoList). A profile type has a public m_nIndex,
// CopyFrom, and WriteToRegistry / ReadFromRegistry of its number n.
#pragma once

#include <afx.h>
#include <afxtempl.h>

#include "XTRegistryManager.h"

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

// TRUE when the number entry "<n>_<key>" of the section is stored: a missing
// entry gives back whichever default is asked for, a stored one not both.
inline BOOL HTIsProfileEntryStored(CXTRegistryManager& regManager, const char* pszSection, int nNumber,
                                   const char* pszKey)
{
    CString strEntry = HTProfileEntryName(nNumber, pszKey);
    return regManager.GetProfileInt(pszSection, strEntry, 0) != 0 ||
           regManager.GetProfileInt(pszSection, strEntry, 1) != 1;
}

// Empties the list and reads the stored profiles 0 to count - 1 of the
// section into it, ending early at the first profile whose first number
// entry (pszFirstKey) is not stored: a damaged count costs no reads of
// profiles that are not there. FALSE (and the list left empty) when no
// profile is read.
template <class TProfile, class TList>
BOOL HTReadProfileList(TList& list, const char* pszSection, const char* pszCountEntry, const char* pszFirstKey)
{
    list.RemoveAll();
    CXTRegistryManager regManager(HKEY_LOCAL_MACHINE);
    int nCount = (int)regManager.GetProfileInt(pszSection, pszCountEntry, 0);
    if (nCount > HT_MAX_STORED_PROFILES)
        nCount = HT_MAX_STORED_PROFILES;
    for (int n = 0; n < nCount && HTIsProfileEntryStored(regManager, pszSection, n, pszFirstKey); n++)
    {
        TProfile profile;
        profile.ReadFromRegistry(n);
        list.AddTail(profile);
    }
    return !list.IsEmpty();
}

// Writes every profile (numbered by position) and then the count.
template <class TList>
void HTWriteProfileList(const TList& list, const char* pszSection, const char* pszCountEntry)
{
    int nNumber = 0;
    for (POSITION pos = list.GetHeadPosition(); pos != NULL; nNumber++)
        list.GetNext(pos).WriteToRegistry(nNumber);

    CXTRegistryManager regManager(HKEY_LOCAL_MACHINE);
    regManager.WriteProfileInt(pszSection, pszCountEntry, (int)list.GetCount());
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
