// A printer for tests: Wine's PostScript driver writing every job to a file,
// installed into the test prefix for one test and removed afterwards, and
// the pages of what it wrote. Printers live in the prefix's machine part of
// the registry, so a test program using one carries `// ctest: lock registry`
// like every program that needs the prefix without a printer.
#pragma once

#include <windows.h>
#include <winspool.h>

#include <string>
#include <vector>

namespace testsupport
{
// A small PostScript printer description: Letter and A4 at 300 dpi.
inline const char* TestPrinterPpd()
{
    return "*PPD-Adobe: \"4.3\"\n"
           "*FormatVersion: \"4.3\"\n"
           "*FileVersion: \"1.0\"\n"
           "*LanguageVersion: English\n"
           "*LanguageEncoding: ISOLatin1\n"
           "*PCFileName: \"BMTEST.PPD\"\n"
           "*Manufacturer: \"Test\"\n"
           "*Product: \"(Test)\"\n"
           "*PSVersion: \"(3010) 0\"\n"
           "*ModelName: \"Brindlemark Test PostScript\"\n"
           "*ShortNickName: \"Brindlemark Test PostScript\"\n"
           "*NickName: \"Brindlemark Test PostScript\"\n"
           "*ColorDevice: True\n"
           "*DefaultColorSpace: RGB\n"
           "*LanguageLevel: \"3\"\n"
           "*OpenUI *Resolution: PickOne\n"
           "*DefaultResolution: 300dpi\n"
           "*Resolution 300dpi/300 dpi: \"\"\n"
           "*CloseUI: *Resolution\n"
           "*OpenUI *PageSize: PickOne\n"
           "*DefaultPageSize: Letter\n"
           "*PageSize Letter/Letter: \"<</PageSize[612 792]>>setpagedevice\"\n"
           "*PageSize A4/A4: \"<</PageSize[595 842]>>setpagedevice\"\n"
           "*CloseUI: *PageSize\n"
           "*OpenUI *PageRegion: PickOne\n"
           "*DefaultPageRegion: Letter\n"
           "*PageRegion Letter/Letter: \"<</PageSize[612 792]>>setpagedevice\"\n"
           "*PageRegion A4/A4: \"<</PageSize[595 842]>>setpagedevice\"\n"
           "*CloseUI: *PageRegion\n"
           "*DefaultImageableArea: Letter\n"
           "*ImageableArea Letter/Letter: \"18 36 594 756\"\n"
           "*ImageableArea A4/A4: \"18 36 577 806\"\n"
           "*DefaultPaperDimension: Letter\n"
           "*PaperDimension Letter/Letter: \"612 792\"\n"
           "*PaperDimension A4/A4: \"595 842\"\n"
           "*DefaultFont: Courier\n"
           "*Font Courier: Standard \"(002.004S)\" Standard ROM\n";
}

// The names of the printers installed now.
inline std::vector<std::string> InstalledPrinters()
{
    std::vector<std::string> names;
    DWORD cbNeeded = 0, nCount = 0;
    ::EnumPrintersA(PRINTER_ENUM_LOCAL, NULL, 4, NULL, 0, &cbNeeded, &nCount);
    if (cbNeeded == 0)
        return names;
    std::vector<BYTE> buffer(cbNeeded);
    if (!::EnumPrintersA(PRINTER_ENUM_LOCAL, NULL, 4, buffer.data(), cbNeeded, &cbNeeded, &nCount))
        return names;
    const PRINTER_INFO_4A* pInfo = (const PRINTER_INFO_4A*)buffer.data();
    for (DWORD i = 0; i < nCount; i++)
        names.push_back(pInfo[i].pPrinterName != NULL ? pInfo[i].pPrinterName : "");
    return names;
}

// Deletes the test printers (named "Brindlemark Test ...") that a test
// program ended before its clean-up left in the prefix, so that the next
// run finds the prefix as it was and does not skip its printing tests.
inline void RemoveLeftoverTestPrinters()
{
    for (const std::string& strName : InstalledPrinters())
    {
        if (strName.compare(0, 17, "Brindlemark Test ") != 0)
            continue;
        HANDLE hPrinter = NULL;
        PRINTER_DEFAULTSA access = {NULL, NULL, PRINTER_ALL_ACCESS};
        if (::OpenPrinterA((LPSTR)strName.c_str(), &hPrinter, &access))
        {
            ::DeletePrinter(hPrinter);
            ::ClosePrinter(hPrinter);
        }
    }
}

// The host path of a Windows path (the port of a printer that writes to a
// file names the host file); empty when it has none.
inline std::string HostPathOf(const std::string& strWindowsPath)
{
    typedef char*(CDECL * PFN_UNIXNAME)(LPCWSTR);
    PFN_UNIXNAME pfn = (PFN_UNIXNAME)::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name");
    if (pfn == NULL)
        return std::string();
    WCHAR szWide[MAX_PATH];
    if (::MultiByteToWideChar(CP_ACP, 0, strWindowsPath.c_str(), -1, szWide, MAX_PATH) == 0)
        return std::string();
    char* pszUnix = pfn(szWide);
    if (pszUnix == NULL)
        return std::string();
    std::string strUnix(pszUnix);
    ::HeapFree(::GetProcessHeap(), 0, pszUnix);
    return strUnix;
}

// Installs a printer whose jobs go to strOutputFile (a Windows path);
// with bDefault it becomes the default printer. The destructor removes it
// and gives the default back to the printer that had it.
class CTestPrinter
{
public:
    CTestPrinter(const char* pszName, const std::string& strOutputFile, bool bDefault = true)
        : m_strName(pszName), m_bInstalled(false)
    {
        char szDefault[256];
        DWORD cch = sizeof(szDefault);
        if (::GetDefaultPrinterA(szDefault, &cch))
            m_strOldDefault = szDefault;

        // The driver: Wine's PostScript driver with the description above.
        char szDir[MAX_PATH];
        DWORD cb = 0;
        if (!::GetPrinterDriverDirectoryA(NULL, NULL, 1, (LPBYTE)szDir, sizeof(szDir), &cb))
            return;
        std::string strVersionDir = std::string(szDir) + "\\3";
        ::CreateDirectoryA(szDir, NULL);
        ::CreateDirectoryA(strVersionDir.c_str(), NULL);
        HANDLE hFile = ::CreateFileA((strVersionDir + "\\bmtest.ppd").c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                                     FILE_ATTRIBUTE_NORMAL, NULL);
        if (hFile == INVALID_HANDLE_VALUE)
            return;
        DWORD cbWritten = 0;
        const char* pszPpd = TestPrinterPpd();
        ::WriteFile(hFile, pszPpd, (DWORD)strlen(pszPpd), &cbWritten, NULL);
        ::CloseHandle(hFile);

        DRIVER_INFO_3A driver;
        ZeroMemory(&driver, sizeof(driver));
        driver.cVersion = 3;
        driver.pName = (LPSTR) "Brindlemark Test PostScript";
        driver.pDriverPath = (LPSTR) "wineps.drv";
        driver.pDataFile = (LPSTR) "bmtest.ppd";
        driver.pConfigFile = (LPSTR) "wineps.drv";
        driver.pDefaultDataType = (LPSTR) "RAW";
        if (!::AddPrinterDriverExA(NULL, 3, (LPBYTE)&driver, APD_COPY_NEW_FILES | APD_COPY_FROM_DIRECTORY))
            return;

        std::string strPort = HostPathOf(strOutputFile);
        if (strPort.empty())
            return;
        PRINTER_INFO_2A printer;
        ZeroMemory(&printer, sizeof(printer));
        printer.pPrinterName = (LPSTR)m_strName.c_str();
        printer.pPortName = (LPSTR)strPort.c_str();
        printer.pDriverName = driver.pName;
        printer.pPrintProcessor = (LPSTR) "WinPrint";
        printer.pDatatype = (LPSTR) "RAW";
        printer.Attributes = PRINTER_ATTRIBUTE_LOCAL;
        HANDLE hPrinter = ::AddPrinterA(NULL, 2, (LPBYTE)&printer);
        if (hPrinter == NULL)
            return;
        ::ClosePrinter(hPrinter);
        m_bInstalled = true;
        if (bDefault)
            ::SetDefaultPrinterA(m_strName.c_str());
    }

    ~CTestPrinter()
    {
        if (m_bInstalled)
        {
            HANDLE hPrinter = NULL;
            PRINTER_DEFAULTSA access = {NULL, NULL, PRINTER_ALL_ACCESS};
            if (::OpenPrinterA((LPSTR)m_strName.c_str(), &hPrinter, &access))
            {
                ::DeletePrinter(hPrinter);
                ::ClosePrinter(hPrinter);
            }
        }
        if (!m_strOldDefault.empty())
            ::SetDefaultPrinterA(m_strOldDefault.c_str());
        else
        {
            // No default before: none named now either.
            HKEY hKey = NULL;
            if (::RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows", 0,
                                KEY_SET_VALUE, &hKey) == ERROR_SUCCESS)
            {
                ::RegDeleteValueA(hKey, "Device");
                ::RegCloseKey(hKey);
            }
        }
    }

    bool Installed() const { return m_bInstalled; }
    const std::string& Name() const { return m_strName; }

private:
    std::string m_strName;
    std::string m_strOldDefault;
    bool m_bInstalled;

    CTestPrinter(const CTestPrinter&) = delete;
    CTestPrinter& operator=(const CTestPrinter&) = delete;
};

// The pages of a PostScript job the test printer wrote (its "%%Page:"
// comments); -1 when the file is missing.
inline int CountPostScriptPages(const std::string& strPath)
{
    HANDLE hFile = ::CreateFileA(strPath.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                                 OPEN_EXISTING, 0, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return -1;
    std::string strText;
    char buffer[65536];
    DWORD cbRead = 0;
    while (::ReadFile(hFile, buffer, sizeof(buffer), &cbRead, NULL) && cbRead > 0)
        strText.append(buffer, cbRead);
    ::CloseHandle(hFile);
    int nPages = 0;
    for (size_t pos = strText.find("%%Page:"); pos != std::string::npos; pos = strText.find("%%Page:", pos + 1))
        nPages++;
    return nPages;
}
} // namespace testsupport
