// Shared helpers of the puzzle core's tests: the game's registry key, the
// replaceable dialogs, temporary folders and grid invariants.
#pragma once

#include <afx.h>

#include "HTCoreServices.h"
#include "support/registry.h"
#include "support/tempfolder.h"

#include <string>

class CHTDataContainer;

namespace coretest
{
using testsupport::ClearGameRegistry;
using testsupport::ReadRegistryDword;
using testsupport::RegistryValueExists;
using testsupport::WriteRegistryBinary;
using testsupport::WriteRegistryDword;
using testsupport::WriteRegistryString;

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

using testsupport::CTempFolder;
using testsupport::ReadFileBytes;
using testsupport::WriteFileBytes;

// Empty string when the position keeps the grid invariants (one square per
// cell of a size within 1..64, states 0..2, numbers -1..max(columns, rows),
// marks 0/1); otherwise what is wrong.
std::string CheckGridInvariants(const CHTDataContainer& position);
} // namespace coretest
