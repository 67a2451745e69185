// Difficulty profile and its list.
#include "GradeInfo.h"

#include "HTCoreServices.h"
#include "HTProfileList.h"
#include "XTRegistryManager.h"
#include "resource.h"

namespace
{
const char kSection[] = "GradeInfo";
const char kCountEntry[] = "GradeInfoCount";
const char kNameKey[] = "ProfileName";

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
    profile.m_strProfileName = CHTCoreServices::Get().LoadResourceString(nNameID);
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

BOOL CGradeInfo::WriteToRegistry(int nNumber) const
{
    CXTRegistryManager regManager(HKEY_LOCAL_MACHINE);
    BOOL bWritten = regManager.WriteProfileString(kSection, HTProfileEntryName(nNumber, kNameKey), m_strProfileName);
    auto writeInt = [&](const char* pszKey, int nValue) {
        bWritten &= regManager.WriteProfileInt(kSection, HTProfileEntryName(nNumber, pszKey), nValue);
    };
    writeInt("Columns", m_nColumns);
    writeInt("Rows", m_nRows);
    writeInt("ShowIslandSquares", m_bShowIslandSquares ? 1 : 0);
    writeInt("ShowUnshadedDups", m_bShowUnshadedDups ? 1 : 0);
    writeInt("ShowAdjacentShaded", m_bShowAdjacentShaded ? 1 : 0);
    writeInt("EnableUnshadedUpdate", m_bEnableUnshadedUpdate ? 1 : 0);
    writeInt("EnableAutoMark", m_bEnableAutoMark ? 1 : 0);
    writeInt("MinutesToComplete", m_nMinutesToComplete);
    writeInt("ForceComplete", m_bForceComplete ? 1 : 0);
    return bWritten;
}

void CGradeInfo::ReadFromRegistry(int nNumber)
{
    CHTProfileSection section;
    section.Read(kSection);
    ReadFromSection(section, nNumber);
}

void CGradeInfo::ReadFromSection(const CHTProfileSection& section, int nNumber)
{
    m_strProfileName = section.GetString(HTProfileEntryName(nNumber, kNameKey), m_strProfileName);

    static const IntField kIntFields[] = {
        {"Columns", &CGradeInfo::m_nColumns},
        {"Rows", &CGradeInfo::m_nRows},
        {"MinutesToComplete", &CGradeInfo::m_nMinutesToComplete},
    };
    const int nColumns = m_nColumns;
    const int nRows = m_nRows;
    const int nMinutes = m_nMinutesToComplete;
    static const FlagField kFlagFields[] = {
        {"ShowIslandSquares", &CGradeInfo::m_bShowIslandSquares},
        {"ShowUnshadedDups", &CGradeInfo::m_bShowUnshadedDups},
        {"ShowAdjacentShaded", &CGradeInfo::m_bShowAdjacentShaded},
        {"EnableUnshadedUpdate", &CGradeInfo::m_bEnableUnshadedUpdate},
        {"EnableAutoMark", &CGradeInfo::m_bEnableAutoMark},
        {"ForceComplete", &CGradeInfo::m_bForceComplete},
    };
    for (const IntField& field : kIntFields)
        this->*field.pField = (int)section.GetInt(HTProfileEntryName(nNumber, field.pszKey), this->*field.pField);
    for (const FlagField& field : kFlagFields)
        this->*field.pField =
            section.GetInt(HTProfileEntryName(nNumber, field.pszKey), this->*field.pField ? 1 : 0) != 0
                ? 1
                : 0;
    // A damaged size would make every new puzzle of this profile fail or
    // exhaust memory; it reads as missing.
    if (m_nColumns < 1 || m_nColumns > HT_MAX_GRID_SIDE)
        m_nColumns = nColumns;
    if (m_nRows < 1 || m_nRows > HT_MAX_GRID_SIDE)
        m_nRows = nRows;
    if (m_nMinutesToComplete < 0 || m_nMinutesToComplete > HT_MAX_STORED_MINUTES)
        m_nMinutesToComplete = nMinutes;
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
    if (!HTReadProfileList<CGradeInfo>(*this, kSection, kCountEntry))
    {
        AddTail(CGradeInfo::MakeEasyProfile());
        AddTail(CGradeInfo::MakeMildProfile());
        AddTail(CGradeInfo::MakeDifficultProfile());
        AddTail(CGradeInfo::MakeFiendishProfile());
    }
    return TRUE;
}

BOOL CGradeInfoList::SaveToRegistry() const
{
    return HTWriteProfileList(*this, kSection, kCountEntry);
}

BOOL CGradeInfoList::FindProfile(int nIndex, CGradeInfo& profile) const
{
    return HTFindProfile(*this, nIndex, profile);
}

int CGradeInfoList::AddProfile(CGradeInfo& profile)
{
    return HTAddProfile(*this, profile);
}

BOOL CGradeInfoList::RemoveProfile(int nIndex)
{
    return HTRemoveProfile(*this, nIndex);
}

template <>
void AFXAPI SerializeElements<CGradeInfo>(CArchive&, CGradeInfo*, INT_PTR)
{
    AfxThrowNotSupportedException();
}
