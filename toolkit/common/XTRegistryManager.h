// Profile values (integers and strings grouped in sections) of the running
// application, kept below a registry root key or, when a program-wide INI
// file path is set, in that INI file.
//
// Registry layout: <root>\Software\<registry key name>\<profile name>\<section>.
// The two names are those of the application object (its registry key and its
// profile name). They are fetched once per process, while the application
// object is alive, and kept in process-wide storage that is never destroyed,
// so that settings written back during static destruction never touch an
// application object that is already gone. A program without an application
// object (a test, a tool) sets the names itself with SetProfileNames.
#pragma once

#include <afx.h>

class CXTRegistryManager
{
public:
    // Root key to work below; HKEY_LOCAL_MACHINE for the game's own settings.
    explicit CXTRegistryManager(HKEY hKeyBase = HKEY_CURRENT_USER);
    virtual ~CXTRegistryManager();

    // TRUE when both names (registry key and profile) are known.
    BOOL GetProfileNames();

    // The application's key below the root, opened (created if missing) with
    // the given access; NULL on failure. The caller closes it.
    virtual HKEY GetAppRegistryKey(REGSAM samDesired = KEY_READ | KEY_WRITE);
    // The key of one section below the application's key; NULL on failure.
    virtual HKEY GetSectionKey(LPCTSTR lpszSection, REGSAM samDesired = KEY_READ | KEY_WRITE);

    BOOL WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue);
    // A NULL entry deletes the whole section; a NULL value deletes the entry.
    BOOL WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue);
    // The stored DWORD, or the default when it is missing or not a DWORD.
    UINT GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault);
    // The stored text, or the default when it is missing or not a string.
    CString GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault = NULL);

    // The result code of the last registry call.
    LONG GetLastResult() const { return m_lResult; }

    // The program-wide INI file path; while it is empty the registry is used.
    static void AFXAPI SetINIFileName(LPCTSTR lpszINIFileName);
    static CString AFXAPI GetINIFileName();
    // The path object itself (for holders of a pointer to it). It lives until
    // the process ends, so it is safe to use during static destruction.
    static CString* AFXAPI GetINIFileNamePtr();

    // Sets the names used by every manager of this process instead of the
    // application object's. NULL for either clears both, so that the names
    // are fetched from the application object again.
    static void AFXAPI SetProfileNames(LPCTSTR lpszRegistryKey, LPCTSTR lpszProfileName);

protected:
    BOOL IsINIMode() const;
    // The section's key for the value operations, opened once per manager
    // and access (each opening costs several registry calls); the manager
    // closes it. NULL on failure.
    HKEY GetHeldSectionKey(LPCTSTR lpszSection, REGSAM samDesired);
    // Closes the held key (a deleted section, the manager's end).
    void ReleaseHeldSectionKey();
    // A held key whose section another manager deleted meanwhile fails
    // with this; the operation opens the section again and retries.
    static BOOL IsKeyGone(LONG lResult) { return lResult == ERROR_KEY_DELETED; }

    HKEY m_hKeyBase;            // root key given at construction
    LPCTSTR m_pszRegistryKey;   // company name; NULL until fetched
    LPCTSTR m_pszProfileName;   // program name; NULL until fetched
    LONG m_lResult;             // result code of the last registry call
    HKEY m_hHeldSectionKey;     // see GetHeldSectionKey
    CString m_strHeldSection;
    REGSAM m_samHeld;

private:
    CXTRegistryManager(const CXTRegistryManager&);
    CXTRegistryManager& operator=(const CXTRegistryManager&);
};
