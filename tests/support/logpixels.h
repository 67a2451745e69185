// The prefix's text size (dots per inch) for the programs started while a
// LogPixelsSetting lives; what was there is put back afterwards. A program
// reads the size when it starts, so only programs started meanwhile get it.
#pragma once

#include <windows.h>

namespace testsupport
{
class LogPixelsSetting
{
public:
    explicit LogPixelsSetting(DWORD dwDpi)
    {
        if (::RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, KEY_READ | KEY_WRITE, &m_hKey) !=
            ERROR_SUCCESS)
        {
            m_hKey = NULL;
            return;
        }
        DWORD dwSize = sizeof(m_dwOld), dwType = 0;
        m_bHadOld = ::RegQueryValueExA(m_hKey, "LogPixels", NULL, &dwType, (BYTE*)&m_dwOld, &dwSize) == ERROR_SUCCESS &&
                    dwType == REG_DWORD;
        m_bSet = ::RegSetValueExA(m_hKey, "LogPixels", 0, REG_DWORD, (const BYTE*)&dwDpi, sizeof(dwDpi)) ==
                 ERROR_SUCCESS;
    }
    ~LogPixelsSetting()
    {
        if (m_hKey == NULL)
            return;
        if (m_bHadOld)
            ::RegSetValueExA(m_hKey, "LogPixels", 0, REG_DWORD, (const BYTE*)&m_dwOld, sizeof(m_dwOld));
        else
            ::RegDeleteValueA(m_hKey, "LogPixels");
        ::RegCloseKey(m_hKey);
    }
    bool IsSet() const { return m_bSet; }

private:
    LogPixelsSetting(const LogPixelsSetting&) = delete;
    LogPixelsSetting& operator=(const LogPixelsSetting&) = delete;

    HKEY m_hKey = NULL;
    DWORD m_dwOld = 0;
    bool m_bHadOld = false;
    bool m_bSet = false;
};
} // namespace testsupport
