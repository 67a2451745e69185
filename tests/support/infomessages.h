// The game's information box in tests: messages are recorded, not shown.
#pragma once

#include "GameServices.h"

#include <string>
#include <vector>

namespace testsupport
{
inline std::vector<std::string>& InfoMessages()
{
    static std::vector<std::string> s_messages;
    return s_messages;
}

inline INT_PTR AFXAPI RecordInfoMessage(const CString& strMessage, bool)
{
    InfoMessages().push_back((LPCSTR)strMessage);
    return IDOK;
}

// Records the messages for the lifetime of the object.
class InfoMessageRecorder
{
public:
    InfoMessageRecorder() : m_pfnOld(SetInfoMessageHandler(&RecordInfoMessage)) { InfoMessages().clear(); }
    ~InfoMessageRecorder() { SetInfoMessageHandler(m_pfnOld); }

private:
    PFN_SHOWINFOMESSAGE m_pfnOld;
};
} // namespace testsupport
