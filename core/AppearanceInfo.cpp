// Appearance profile and its list.
#include "AppearanceInfo.h"

#include "HTCoreServices.h"
#include "HTProfileList.h"
#include "XTRegistryManager.h"
#include "resource.h"

namespace
{
const char kSection[] = "AppearanceInfo";
const char kCountEntry[] = "AppearanceInfoCount";
const char kNameKey[] = "ProfileName";

// One stored colour: its registry key, property index and field.
struct ColourField
{
    const char* pszKey;
    int nIndex;
    COLORREF CAppearanceInfo::*pField;
};

// In the order the registry values are written; the name follows the
// twelfth entry.
const ColourField kColourFields[] = {
    {"BorderColour", htacBorder, &CAppearanceInfo::m_crBorder},
    {"SquareBorderColour", htacSquareBorder, &CAppearanceInfo::m_crSquareBorder},
    {"ShadedFillColour", htacShadedFill, &CAppearanceInfo::m_crShadedFill},
    {"ShadedNumberColour", htacShadedNumber, &CAppearanceInfo::m_crShadedNumber},
    {"UnshadedFillColour", htacUnshadedFill, &CAppearanceInfo::m_crUnshadedFill},
    {"UnshadedNumberColour", htacUnshadedNumber, &CAppearanceInfo::m_crUnshadedNumber},
    {"IslandFillColour", htacIslandFill, &CAppearanceInfo::m_crIslandFill},
    {"IslandNumberColour", htacIslandNumber, &CAppearanceInfo::m_crIslandNumber},
    {"UnshadedDupFillColour", htacUnshadedDupFill, &CAppearanceInfo::m_crUnshadedDupFill},
    {"UnshadedDupNumberColour", htacUnshadedDupNumber, &CAppearanceInfo::m_crUnshadedDupNumber},
    {"AdjacentShadedFillColour", htacAdjacentShadedFill, &CAppearanceInfo::m_crAdjacentShadedFill},
    {"AdjacentShadedNumberColour", htacAdjacentShadedNumber, &CAppearanceInfo::m_crAdjacentShadedNumber},
    {"MCOn", htacMCOn, &CAppearanceInfo::m_crMCOn},
    {"MCOff", htacMCOff, &CAppearanceInfo::m_crMCOff},
    {"MCBack", htacMCBack, &CAppearanceInfo::m_crMCBack},
};
const int kBoardColourCount = 12;

const ColourField* FindColourField(int nIndex)
{
    for (const ColourField& field : kColourFields)
    {
        if (field.nIndex == nIndex)
            return &field;
    }
    return NULL;
}

// A built-in profile: the twelve board colours in property index order, the
// clock display green on black, and the given name and index.
CAppearanceInfo MakeBuiltIn(UINT nNameID, int nIndex, const COLORREF (&crBoard)[kBoardColourCount])
{
    CAppearanceInfo profile;
    for (int i = 0; i < kBoardColourCount; i++)
        profile.*kColourFields[i].pField = crBoard[i];
    profile.m_crMCOn = RGB(0, 255, 0);
    profile.m_crMCOff = RGB(0, 128, 0);
    profile.m_crMCBack = RGB(0, 0, 0);
    profile.m_strProfileName = CHTCoreServices::Get().LoadResourceString(nNameID);
    profile.m_nIndex = nIndex;
    return profile;
}
} // namespace

CAppearanceInfo::CAppearanceInfo()
    : m_crBorder(RGB(0, 0, 0)),
      m_crSquareBorder(RGB(88, 88, 88)),
      m_crShadedFill(RGB(51, 51, 51)),
      m_crShadedNumber(RGB(255, 255, 255)),
      m_crUnshadedFill(RGB(255, 255, 255)),
      m_crUnshadedNumber(RGB(0, 0, 0)),
      m_crIslandFill(RGB(0, 0, 128)),
      m_crIslandNumber(RGB(0, 0, 255)),
      m_crUnshadedDupFill(RGB(128, 0, 0)),
      m_crUnshadedDupNumber(RGB(255, 0, 0)),
      m_crAdjacentShadedFill(RGB(204, 204, 0)),
      m_crAdjacentShadedNumber(RGB(0, 0, 0)),
      m_strProfileName("SetInCtor"),
      m_nIndex(-1),
      m_crMCOn(RGB(0, 255, 0)),
      m_crMCOff(RGB(0, 128, 0)),
      m_crMCBack(RGB(0, 0, 0)),
      m_nMainFontSize(30),
      m_nSmallFontSize(10)
{
}

CAppearanceInfo::CAppearanceInfo(const CAppearanceInfo& src)
{
    CopyFrom(src);
}

CAppearanceInfo& CAppearanceInfo::operator=(const CAppearanceInfo& src)
{
    CopyFrom(src);
    return *this;
}

CAppearanceInfo::~CAppearanceInfo()
{
}

void CAppearanceInfo::CopyFrom(const CAppearanceInfo& src)
{
    if (&src == this)
        return;
    for (const ColourField& field : kColourFields)
        this->*field.pField = src.*field.pField;
    m_strProfileName = src.m_strProfileName;
    m_nIndex = src.m_nIndex;
    m_nMainFontSize = src.m_nMainFontSize;
    m_nSmallFontSize = src.m_nSmallFontSize;
}

CString CAppearanceInfo::GetProfileName() const
{
    return m_strProfileName;
}

void CAppearanceInfo::SetColour(int nIndex, COLORREF crColour)
{
    const ColourField* pField = FindColourField(nIndex);
    if (pField != NULL)
        this->*pField->pField = crColour;
}

COLORREF CAppearanceInfo::GetColour(int nIndex) const
{
    const ColourField* pField = FindColourField(nIndex);
    return pField != NULL ? this->*pField->pField : HT_COLOUR_UNSET;
}

BOOL CAppearanceInfo::WriteToRegistry(int nNumber) const
{
    CXTRegistryManager regManager(HKEY_LOCAL_MACHINE);
    BOOL bWritten = TRUE;
    for (int i = 0; i < (int)(sizeof(kColourFields) / sizeof(kColourFields[0])); i++)
    {
        const ColourField& field = kColourFields[i];
        bWritten &= regManager.WriteProfileInt(kSection, HTProfileEntryName(nNumber, field.pszKey),
                                               (int)(this->*field.pField));
        if (i == kBoardColourCount - 1)
            bWritten &=
                regManager.WriteProfileString(kSection, HTProfileEntryName(nNumber, kNameKey), m_strProfileName);
    }
    return bWritten;
}

void CAppearanceInfo::ReadFromRegistry(int nNumber)
{
    CHTProfileSection section;
    section.Read(kSection);
    ReadFromSection(section, nNumber);
}

void CAppearanceInfo::ReadFromSection(const CHTProfileSection& section, int nNumber)
{
    for (int i = 0; i < (int)(sizeof(kColourFields) / sizeof(kColourFields[0])); i++)
    {
        const ColourField& field = kColourFields[i];
        const COLORREF crStored =
            (COLORREF)section.GetInt(HTProfileEntryName(nNumber, field.pszKey), (int)(this->*field.pField));
        // A value with bits above blue is no colour: drawing tools refuse it
        // (the board and clock would paint black whatever the editor shows),
        // so it reads as missing.
        if ((crStored & 0xFF000000) == 0)
            this->*field.pField = crStored;
        if (i == kBoardColourCount - 1)
        {
            m_strProfileName = section.GetString(HTProfileEntryName(nNumber, kNameKey), m_strProfileName);
        }
    }
    m_nIndex = nNumber;
}

CAppearanceInfo AFXAPI CAppearanceInfo::MakeStandardProfile()
{
    static const COLORREF kBoard[kBoardColourCount] = {
        RGB(0, 0, 0),       RGB(51, 51, 51), RGB(51, 51, 51), RGB(255, 255, 255),
        RGB(255, 255, 255), RGB(0, 0, 0),    RGB(0, 0, 128),  RGB(0, 0, 255),
        RGB(128, 0, 0),     RGB(255, 0, 0),  RGB(204, 204, 0), RGB(0, 0, 0),
    };
    return MakeBuiltIn(IDS_APPEARANCE_STANDARD, 0, kBoard);
}

CAppearanceInfo AFXAPI CAppearanceInfo::MakePrintingProfile()
{
    static const COLORREF kBoard[kBoardColourCount] = {
        RGB(100, 100, 100), RGB(100, 100, 100), RGB(100, 100, 100), RGB(255, 255, 255),
        RGB(255, 255, 255), RGB(100, 100, 100), RGB(255, 255, 255), RGB(0, 0, 255),
        RGB(255, 255, 255), RGB(255, 0, 0),     RGB(204, 204, 0),   RGB(0, 0, 0),
    };
    return MakeBuiltIn(IDS_APPEARANCE_PRINTING, 1, kBoard);
}

// ---------------------------------------------------------------------------
// CAppearanceInfoList

CAppearanceInfoList::CAppearanceInfoList() : CList<CAppearanceInfo, const CAppearanceInfo&>(10)
{
}

BOOL CAppearanceInfoList::LoadFromRegistry()
{
    if (!HTReadProfileList<CAppearanceInfo>(*this, kSection, kCountEntry))
    {
        AddTail(CAppearanceInfo::MakeStandardProfile());
        AddTail(CAppearanceInfo::MakePrintingProfile());
    }
    return TRUE;
}

BOOL CAppearanceInfoList::SaveToRegistry() const
{
    return HTWriteProfileList(*this, kSection, kCountEntry);
}

BOOL CAppearanceInfoList::FindProfile(int nIndex, CAppearanceInfo& profile) const
{
    return HTFindProfile(*this, nIndex, profile);
}

int CAppearanceInfoList::AddProfile(CAppearanceInfo& profile)
{
    return HTAddProfile(*this, profile);
}

BOOL CAppearanceInfoList::RemoveProfile(int nIndex)
{
    return HTRemoveProfile(*this, nIndex);
}

template <>
void AFXAPI SerializeElements<CAppearanceInfo>(CArchive&, CAppearanceInfo*, INT_PTR)
{
    AfxThrowNotSupportedException();
}
