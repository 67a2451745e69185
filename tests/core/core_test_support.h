// Shared helpers of the puzzle core's tests: the game's registry key, the
// replaceable dialogs, temporary folders and grid invariants.
#pragma once

#include <afx.h>

#include "HTCoreServices.h"

#include <string>

class CHTDataContainer;

namespace coretest
{
// Removes HKLM\Software\Orrisfield\Brindlemark with everything below it and
// points the registry manager at that key (no application object runs in
// the tests). Also clears the INI path.
void ClearGameRegistry();

// TRUE when HKLM\Software\Orrisfield\Brindlemark\<section> holds the value.
bool RegistryValueExists(const char* pszSection, const char* pszEntry);
// Raw registry access below the game's key, for forging stored values.
void WriteRegistryDword(const char* pszSection, const char* pszEntry, DWORD dwValue);
void WriteRegistryString(const char* pszSection, const char* pszEntry, const char* pszValue);
void WriteRegistryBinary(const char* pszSection, const char* pszEntry, const void* pData, DWORD cbData);
bool ReadRegistryDword(const char* pszSection, const char* pszEntry, DWORD& dwValue);

// The core's services for the life of the object: texts from the string
// table; the information box only counts and records its messages; the
// load-choice question counts and answers as told.
class CDialogStubs : public CHTWindowlessServices
{
public:
    CDialogStubs();
    ~CDialogStubs();

    virtual INT_PTR ShowInfoMessage(const CString& strMessage);
    virtual BOOL AskStartAgain();

    static int s_nInfoMessages;
    static CString s_strLastMessage;
    static int s_nLoadChoices;
    static BOOL s_bStartAgain;

private:
    CHTCoreServices* m_pPrevious;
};

// A fresh empty folder below the temporary folder, removed with its files
// when the object goes.
class CTempFolder
{
public:
    CTempFolder();
    ~CTempFolder();
    // Full path of a file in the folder.
    std::string Path(const char* pszName) const;
    const std::string& Folder() const { return m_strFolder; }
    // Names of the files now in the folder.
    int CountFiles() const;

private:
    std::string m_strFolder;
};

// Whole file as bytes; empty when it cannot be read.
std::string ReadFileBytes(const std::string& strPath);
void WriteFileBytes(const std::string& strPath, const std::string& strBytes);

// Empty string when the position keeps the grid invariants (one square per
// cell of a size within 1..64, states 0..2, numbers -1..max(columns, rows),
// marks 0/1); otherwise what is wrong.
std::string CheckGridInvariants(const CHTDataContainer& position);
} // namespace coretest
