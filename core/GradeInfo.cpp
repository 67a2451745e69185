// Difficulty profile and its list.
#include "GradeInfo.h"

#include "GameServices.h"
#include "XTRegistryManager.h"
#include "resource.h"

namespace
{
const char kSection[] = "GradeInfo";
const char kCountEntry[] = "GradeInfoCount";
const char kNameKey[] = "ProfileName";
// A stored count above this is taken as damaged and clamped.
const int kMaxStoredProfiles = 1000;

// Stored integer fields, in the order they are written after the name.
struct IntField
{
    const char* pszKey;
    int CGradeInfo::*pField;
};
struct FlagField
{
    const char* pszKey;
    BYTE CGradeInfo::*pField;
};

CString EntryName(int nNumber, const char* pszKey)
{
    CString strEntry;
    strEntry.Format("%d_%s", nNumber, pszKey);
    return strEntry;
}

CGradeInfo MakeBuiltIn(UINT nNameID, int nIndex, int nSize, BYTE bUnshadedUpdate, BYTE bAutoMark,
                       int nMinutes, BYTE bForceComplete)
{
    CGradeInfo profile;
    profile.m_nColumns = nSize;
    profile.m_nRows = nSize;
    profile.m_bShowIslandSquares = 1;
    profile.m_bShowUnshadedDups = 1;
    profile.m_bShowAdjacentShaded = 1;
    profile.m_bEnableUnshadedUpdate = bUnshadedUpdate;
    profile.m_bEnableAutoMark = bAutoMark;
    profile.m_nMinutesToComplete = nMinutes;
    profile.m_bForceComplete = bForceComplete;
    profile.m_strProfileName = LoadResourceString(nNameID);
    profile.m_nIndex = nIndex;
    return profile;
}
} // namespace

CGradeInfo::CGradeInfo()
    : m_nColumns(9),
      m_nRows(9),
      m_bShowIslandSquares(0),
      m_bShowUnshadedDups(0),
      m_bShowAdjacentShaded(0),
      m_bEnableUnshadedUpdate(0),
      m_bEnableAutoMark(0),
      m_nMinutesToComplete(0),
      m_bForceComplete(0),
      m_nIndex(-1)
{
}

CGradeInfo::CGradeInfo(const CGradeInfo& src) : CGradeInfo()
{
    CopyFrom(src);
}

CGradeInfo& CGradeInfo::operator=(const CGradeInfo& src)
{
    return CopyFrom(src);
}

CGradeInfo& CGradeInfo::CopyFrom(const CGradeInfo& src)
{
    if (&src == this)
        return *this;
    m_nColumns = src.m_nColumns;
    m_nRows = src.m_nRows;
    m_bShowIslandSquares = src.m_bShowIslandSquares;
    m_bShowUnshadedDups = src.m_bShowUnshadedDups;
    m_bShowAdjacentShaded = src.m_bShowAdjacentShaded;
    m_bEnableUnshadedUpdate = src.m_bEnableUnshadedUpdate;
    m_bEnableAutoMark = src.m_bEnableAutoMark;
    m_nMinutesToComplete = src.m_nMinutesToComplete;
    m_bForceComplete = src.m_bForceComplete;
    m_strProfileName = src.m_strProfileName;
    m_nIndex = src.m_nIndex;
    return *this;
}

CString CGradeInfo::GetProfileName() const
{
    return m_strProfileName;
}

void CGradeInfo::WriteToRegistry(int nNumber) const
{
    CXTRegistryManager regManager(HKEY_LOCAL_MACHINE);
    regManager.WriteProfileString(kSection, EntryName(nNumber, kNameKey), m_strProfileName);
    regManager.WriteProfileInt(kSection, EntryName(nNumber, "Columns"), m_nColumns);
    regManager.WriteProfileInt(kSection, EntryName(nNumber, "Rows"), m_nRows);
    regManager.WriteProfileInt(kSection, EntryName(nNumber, "ShowIslandSquares"), m_bShowIslandSquares ? 1 : 0);
    regManager.WriteProfileInt(kSection, EntryName(nNumber, "ShowUnshadedDups"), m_bShowUnshadedDups ? 1 : 0);
    regManager.WriteProfileInt(kSection, EntryName(nNumber, "ShowAdjacentShaded"), m_bShowAdjacentShaded ? 1 : 0);
    regManager.WriteProfileInt(kSection, EntryName(nNumber, "EnableUnshadedUpdate"),
                               m_bEnableUnshadedUpdate ? 1 : 0);
    regManager.WriteProfileInt(kSection, EntryName(nNumber, "EnableAutoMark"), m_bEnableAutoMark ? 1 : 0);
    regManager.WriteProfileInt(kSection, EntryName(nNumber, "MinutesToComplete"), m_nMinutesToComplete);
    regManager.WriteProfileInt(kSection, EntryName(nNumber, "ForceComplete"), m_bForceComplete ? 1 : 0);
}

void CGradeInfo::ReadFromRegistry(int nNumber)
{
    CXTRegistryManager regManager(HKEY_LOCAL_MACHINE);
    m_strProfileName = regManager.GetProfileString(kSection, EntryName(nNumber, kNameKey), m_strProfileName);

    static const IntField kIntFields[] = {
        {"Columns", &CGradeInfo::m_nColumns},
        {"Rows", &CGradeInfo::m_nRows},
        {"MinutesToComplete", &CGradeInfo::m_nMinutesToComplete},
    };
    const int nColumns = m_nColumns;
    const int nRows = m_nRows;
    static const FlagField kFlagFields[] = {
        {"ShowIslandSquares", &CGradeInfo::m_bShowIslandSquares},
        {"ShowUnshadedDups", &CGradeInfo::m_bShowUnshadedDups},
        {"ShowAdjacentShaded", &CGradeInfo::m_bShowAdjacentShaded},
        {"EnableUnshadedUpdate", &CGradeInfo::m_bEnableUnshadedUpdate},
        {"EnableAutoMark", &CGradeInfo::m_bEnableAutoMark},
        {"ForceComplete", &CGradeInfo::m_bForceComplete},
    };
    for (const IntField& field : kIntFields)
        this->*field.pField = (int)regManager.GetProfileInt(kSection, EntryName(nNumber, field.pszKey),
                                                            this->*field.pField);
    for (const FlagField& field : kFlagFields)
        this->*field.pField =
            regManager.GetProfileInt(kSection, EntryName(nNumber, field.pszKey), this->*field.pField ? 1 : 0) != 0
                ? 1
                : 0;
    // A damaged size would make every new puzzle of this profile fail or
    // exhaust memory; it reads as missing.
    if (m_nColumns < 1 || m_nColumns > HT_MAX_GRID_SIDE)
        m_nColumns = nColumns;
    if (m_nRows < 1 || m_nRows > HT_MAX_GRID_SIDE)
        m_nRows = nRows;
    m_nIndex = nNumber;
}

CGradeInfo AFXAPI CGradeInfo::MakeEasyProfile()
{
    return MakeBuiltIn(IDS_GRADE_EASY, 0, 8, 1, 1, 20, 0);
}

CGradeInfo AFXAPI CGradeInfo::MakeMildProfile()
{
    return MakeBuiltIn(IDS_GRADE_MILD, 1, 12, 1, 1, 15, 0);
}

CGradeInfo AFXAPI CGradeInfo::MakeDifficultProfile()
{
    return MakeBuiltIn(IDS_GRADE_DIFFICULT, 2, 15, 1, 0, 10, 0);
}

CGradeInfo AFXAPI CGradeInfo::MakeFiendishProfile()
{
    return MakeBuiltIn(IDS_GRADE_FIENDISH, 3, 17, 0, 0, 10, 1);
}

// ---------------------------------------------------------------------------
// CGradeInfoList

CGradeInfoList::CGradeInfoList() : CList<CGradeInfo, const CGradeInfo&>(10)
{
}

BOOL CGradeInfoList::LoadFromRegistry()
{
    RemoveAll();
    int nCount;
    {
        CXTRegistryManager regManager(HKEY_LOCAL_MACHINE);
        nCount = (int)regManager.GetProfileInt(kSection, kCountEntry, 0);
    }
    if (nCount > kMaxStoredProfiles)
        nCount = kMaxStoredProfiles;
    if (nCount <= 0)
    {
        AddTail(CGradeInfo::MakeEasyProfile());
        AddTail(CGradeInfo::MakeMildProfile());
        AddTail(CGradeInfo::MakeDifficultProfile());
        AddTail(CGradeInfo::MakeFiendishProfile());
        return TRUE;
    }
    for (int n = 0; n < nCount; n++)
    {
        CGradeInfo profile;
        profile.ReadFromRegistry(n);
        AddTail(profile);
    }
    return TRUE;
}

BOOL CGradeInfoList::SaveToRegistry() const
{
    int nNumber = 0;
    for (POSITION pos = GetHeadPosition(); pos != NULL; nNumber++)
        GetNext(pos).WriteToRegistry(nNumber);

    CXTRegistryManager regManager(HKEY_LOCAL_MACHINE);
    regManager.WriteProfileInt(kSection, kCountEntry, (int)GetCount());
    return TRUE;
}

BOOL CGradeInfoList::FindProfile(int nIndex, CGradeInfo& profile) const
{
    for (POSITION pos = GetHeadPosition(); pos != NULL;)
    {
        const CGradeInfo& candidate = GetNext(pos);
        if (candidate.m_nIndex == nIndex)
        {
            profile.CopyFrom(candidate);
            return TRUE;
        }
    }
    return FALSE;
}

int CGradeInfoList::AddProfile(CGradeInfo& profile)
{
    int nHighest = -1;
    for (POSITION pos = GetHeadPosition(); pos != NULL;)
    {
        const CGradeInfo& candidate = GetNext(pos);
        if (candidate.m_nIndex > nHighest)
            nHighest = candidate.m_nIndex;
    }
    profile.m_nIndex = nHighest + 1;
    AddTail(profile);
    return profile.m_nIndex;
}

BOOL CGradeInfoList::RemoveProfile(int nIndex)
{
    for (POSITION pos = GetHeadPosition(); pos != NULL;)
    {
        POSITION posCurrent = pos;
        if (GetNext(pos).m_nIndex == nIndex)
        {
            RemoveAt(posCurrent);
            return TRUE;
        }
    }
    return FALSE;
}

template <>
void AFXAPI SerializeElements<CGradeInfo>(CArchive&, CGradeInfo*, INT_PTR)
{
    AfxThrowNotSupportedException();
}
