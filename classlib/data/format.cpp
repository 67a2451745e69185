// CString formatting (printf syntax, any length) and string resources.
#include "afx.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace {

// TRUE when [p, p+n) lies in committed, readable memory.
bool IsReadable(const void* p, size_t n)
{
    const BYTE* pb = static_cast<const BYTE*>(p);
    const BYTE* pe = pb + n;
    if (pb == NULL || pe < pb)
        return false;
    while (pb < pe)
    {
        MEMORY_BASIC_INFORMATION mbi;
        if (::VirtualQuery(pb, &mbi, sizeof(mbi)) == 0)
            return false;
        if (mbi.State != MEM_COMMIT || (mbi.Protect & (PAGE_NOACCESS | PAGE_GUARD)) != 0)
            return false;
        const DWORD dwReadable = PAGE_READONLY | PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READ |
                                 PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;
        if ((mbi.Protect & dwReadable) == 0)
            return false;
        pb = static_cast<const BYTE*>(mbi.BaseAddress) + mbi.RegionSize;
    }
    return true;
}

// A %s argument is either a character pointer or, when a CString was passed
// through "...", the address of the CString (g++ passes such objects by
// reference).  A CString holds one pointer to characters that follow a
// tagged header; recognise that shape and use its characters.
LPCSTR ResolveStringArgument(const void* pArg)
{
    if (pArg == NULL)
        return NULL;
    const UINT_PTR nArg = reinterpret_cast<UINT_PTR>(pArg);
    const UINT_PTR nPage = 4096;
    if (nArg % sizeof(void*) == 0 && (nArg % nPage) <= nPage - sizeof(void*))
    {
        // A readable character at pArg makes its whole page readable.
        LPCSTR pch = *static_cast<const LPCSTR*>(pArg);
        const UINT_PTR nChars = reinterpret_cast<UINT_PTR>(pch);
        if (pch != NULL && nChars % sizeof(void*) == 0 && nChars > sizeof(CStringData) + 0x10000)
        {
            const CStringData* pData = reinterpret_cast<const CStringData*>(pch) - 1;
            if (IsReadable(pData, sizeof(CStringData) + 1) && pData->dwTag == CString::kTag &&
                pData->nDataLength >= 0 && pData->nDataLength <= pData->nAllocLength &&
                IsReadable(pch, (size_t)pData->nDataLength + 1) && pch[pData->nDataLength] == '\0')
            {
                return pch;
            }
        }
    }
    return static_cast<LPCSTR>(pArg);
}

std::string WideToNarrow(const wchar_t* pwsz, int nChars)
{
    std::string s;
    if (pwsz == NULL || nChars <= 0)
        return s;
    int nBytes = ::WideCharToMultiByte(CP_ACP, 0, pwsz, nChars, NULL, 0, NULL, NULL);
    if (nBytes > 0)
    {
        s.resize(nBytes);
        ::WideCharToMultiByte(CP_ACP, 0, pwsz, nChars, &s[0], nBytes, NULL, NULL);
    }
    return s;
}

template <class T>
void AppendOne(std::string& out, const std::string& conversion, T value)
{
    char szSmall[128];
    int n = snprintf(szSmall, sizeof(szSmall), conversion.c_str(), value);
    if (n < 0)
        return;
    if ((size_t)n < sizeof(szSmall))
    {
        out.append(szSmall, n);
        return;
    }
    std::vector<char> big((size_t)n + 1);
    snprintf(&big[0], big.size(), conversion.c_str(), value);
    out.append(&big[0], n);
}

enum LengthMod { lenNone, lenHH, lenH, lenL, lenLL, lenBigL, lenSize, lenWide };

// Formats lpszFormat with its arguments and appends the result to out.
// Every conversion is done separately, so nothing is ever cut short; %n is
// consumed but never written.
void FormatInto(std::string& out, LPCSTR lpszFormat, va_list args)
{
    if (lpszFormat == NULL)
        return;
    LPCSTR p = lpszFormat;
    while (*p != '\0')
    {
        if (*p != '%')
        {
            LPCSTR pNext = strchr(p, '%');
            if (pNext == NULL)
            {
                out.append(p);
                break;
            }
            out.append(p, pNext - p);
            p = pNext;
            continue;
        }
        LPCSTR pConvStart = p;
        ++p;
        if (*p == '%')
        {
            out += '%';
            ++p;
            continue;
        }

        std::string flags;
        while (*p != '\0' && strchr("-+ #0'", *p) != NULL)
            flags += *p++;

        std::string width;
        if (*p == '*')
        {
            int w = va_arg(args, int);
            if (w < 0)
            {
                flags += '-';
                w = w == INT_MIN ? INT_MAX : -w;
            }
            width = std::to_string(w);
            ++p;
        }
        else
        {
            while (*p >= '0' && *p <= '9')
                width += *p++;
        }

        std::string precision;
        if (*p == '.')
        {
            ++p;
            if (*p == '*')
            {
                int prec = va_arg(args, int);
                if (prec >= 0)
                    precision = "." + std::to_string(prec);
                ++p;
            }
            else
            {
                std::string digits;
                while (*p >= '0' && *p <= '9')
                    digits += *p++;
                precision = "." + (digits.empty() ? std::string("0") : digits);
            }
        }

        LengthMod len = lenNone;
        for (;;)
        {
            if (*p == 'h')
            {
                len = (len == lenH) ? lenHH : lenH;
                ++p;
            }
            else if (*p == 'l')
            {
                len = (len == lenL) ? lenLL : lenL;
                ++p;
            }
            else if (*p == 'L' || *p == 'q')
            {
                len = (*p == 'q') ? lenLL : lenBigL;
                ++p;
            }
            else if (*p == 'j')
            {
                len = lenLL;
                ++p;
            }
            else if (*p == 'z' || *p == 't')
            {
                len = lenSize;
                ++p;
            }
            else if (*p == 'w')
            {
                len = lenWide;
                ++p;
            }
            else if (*p == 'I')
            {
                if (p[1] == '6' && p[2] == '4')
                {
                    len = lenLL;
                    p += 3;
                }
                else if (p[1] == '3' && p[2] == '2')
                {
                    len = lenNone;
                    p += 3;
                }
                else
                {
                    len = lenSize;
                    ++p;
                }
            }
            else
                break;
        }

        char conv = *p;
        if (conv == '\0')
        {
            out.append(pConvStart);   // an unfinished conversion is text
            break;
        }
        ++p;
        std::string conversion = "%" + flags + width + precision;

        switch (conv)
        {
        case 'd':
        case 'i':
        {
            long long v;
            if (len == lenLL || len == lenBigL)
                v = va_arg(args, long long);
            else if (len == lenL)
                v = va_arg(args, long);
            else if (len == lenSize)
                v = va_arg(args, ptrdiff_t);
            else
                v = va_arg(args, int);
            if (len == lenH)
                v = (short)v;
            else if (len == lenHH)
                v = (signed char)v;
            AppendOne(out, conversion + "lld", v);
            break;
        }
        case 'o':
        case 'u':
        case 'x':
        case 'X':
        {
            unsigned long long v;
            if (len == lenLL || len == lenBigL)
                v = va_arg(args, unsigned long long);
            else if (len == lenL)
                v = va_arg(args, unsigned long);
            else if (len == lenSize)
                v = va_arg(args, size_t);
            else
                v = va_arg(args, unsigned int);
            if (len == lenH)
                v = (unsigned short)v;
            else if (len == lenHH)
                v = (unsigned char)v;
            AppendOne(out, conversion + "ll" + conv, v);
            break;
        }
        case 'e':
        case 'E':
        case 'f':
        case 'F':
        case 'g':
        case 'G':
        case 'a':
        case 'A':
            if (len == lenBigL)
                AppendOne(out, conversion + "L" + conv, va_arg(args, long double));
            else
                AppendOne(out, conversion + conv, va_arg(args, double));
            break;
        case 'c':
        case 'C':
        {
            int ch = va_arg(args, int);
            bool bWide = (conv == 'C') ? (len != lenH) : (len == lenL || len == lenWide);
            std::string text;
            if (bWide)
            {
                wchar_t wch = (wchar_t)ch;
                text = WideToNarrow(&wch, 1);
            }
            else
                text.assign(1, (char)ch);
            AppendOne(out, conversion + "s", text.c_str());
            break;
        }
        case 's':
        case 'S':
        {
            const void* pArg = va_arg(args, const void*);
            bool bWide = (conv == 'S') ? (len != lenH) : (len == lenL || len == lenWide);
            if (pArg == NULL)
            {
                AppendOne(out, conversion + "s", "(null)");
            }
            else if (bWide)
            {
                const wchar_t* pwsz = static_cast<const wchar_t*>(pArg);
                std::string text = WideToNarrow(pwsz, (int)wcslen(pwsz));
                AppendOne(out, conversion + "s", text.c_str());
            }
            else
            {
                AppendOne(out, conversion + "s", ResolveStringArgument(pArg));
            }
            break;
        }
        case 'p':
            AppendOne(out, conversion + "p", va_arg(args, void*));
            break;
        case 'n':
            (void)va_arg(args, void*);
            break;
        default:
            out.append(pConvStart, p - pConvStart);
            break;
        }
    }
}

} // namespace

void CString::FormatV(LPCSTR lpszFormat, va_list argList)
{
    CString result;
    result.AppendFormatV(lpszFormat, argList);
    *this = static_cast<CString&&>(result);
}

void CString::AppendFormatV(LPCSTR lpszFormat, va_list argList)
{
    if (lpszFormat == NULL)
        AfxThrowInvalidArgException();
    std::string out;
    try
    {
        va_list args;
        va_copy(args, argList);
        FormatInto(out, lpszFormat, args);
        va_end(args);
    }
    catch (const std::bad_alloc&)
    {
        AfxThrowMemoryException();
    }
    catch (const std::length_error&)
    {
        AfxThrowMemoryException();
    }
    if (out.size() > (size_t)INT_MAX / 4)
        AfxThrowMemoryException();
    Append(out.data(), (int)out.size());
}

void AFX_CDECL CString::Format(LPCSTR lpszFormat, ...)
{
    va_list argList;
    va_start(argList, lpszFormat);
    FormatV(lpszFormat, argList);
    va_end(argList);
}

void AFX_CDECL CString::Format(UINT nFormatID, ...)
{
    CString strFormat;
    strFormat.LoadString(nFormatID);
    va_list argList;
    va_start(argList, nFormatID);
    FormatV(strFormat, argList);
    va_end(argList);
}

void AFX_CDECL CString::AppendFormat(LPCSTR lpszFormat, ...)
{
    va_list argList;
    va_start(argList, lpszFormat);
    AppendFormatV(lpszFormat, argList);
    va_end(argList);
}

namespace {

void FormatMessageV(CString& rString, LPCSTR lpszFormat, va_list* pArgList)
{
    LPSTR lpszTemp = NULL;
    DWORD dwLen = ::FormatMessageA(FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ALLOCATE_BUFFER, lpszFormat, 0, 0,
                                   reinterpret_cast<LPSTR>(&lpszTemp), 0, pArgList);
    if (dwLen == 0 || lpszTemp == NULL)
    {
        if (lpszTemp != NULL)
            ::LocalFree(lpszTemp);
        if (::GetLastError() == ERROR_NOT_ENOUGH_MEMORY)
            AfxThrowMemoryException();
        rString.Empty();
        return;
    }
    rString.SetString(lpszTemp, (int)dwLen);
    ::LocalFree(lpszTemp);
}

} // namespace

void AFX_CDECL CString::FormatMessage(LPCSTR lpszFormat, ...)
{
    if (lpszFormat == NULL)
        AfxThrowInvalidArgException();
    va_list argList;
    va_start(argList, lpszFormat);
    FormatMessageV(*this, lpszFormat, &argList);
    va_end(argList);
}

void AFX_CDECL CString::FormatMessage(UINT nFormatID, ...)
{
    CString strFormat;
    strFormat.LoadString(nFormatID);
    va_list argList;
    va_start(argList, nFormatID);
    FormatMessageV(*this, strFormat, &argList);
    va_end(argList);
}

// String resources are read straight from the string table, so there is no
// length limit and a missing id is told apart from an empty string.
BOOL CString::LoadString(HINSTANCE hInstance, UINT nID)
{
    Empty();
    if (hInstance == NULL)
        return FALSE;
    HRSRC hRes = ::FindResourceA(hInstance, MAKEINTRESOURCEA((nID >> 4) + 1), MAKEINTRESOURCEA(6) /*RT_STRING*/);
    if (hRes == NULL)
        return FALSE;
    DWORD dwSize = ::SizeofResource(hInstance, hRes);
    HGLOBAL hGlobal = ::LoadResource(hInstance, hRes);
    const WORD* pw = hGlobal != NULL ? static_cast<const WORD*>(::LockResource(hGlobal)) : NULL;
    if (pw == NULL)
        return FALSE;
    const WORD* pwEnd = pw + dwSize / sizeof(WORD);
    for (UINT i = 0; i < (nID & 15); ++i)
    {
        if (pw >= pwEnd)
            return FALSE;
        UINT nLen = *pw;
        if (nLen > (UINT)(pwEnd - pw - 1))
            return FALSE;
        pw += 1 + nLen;
    }
    if (pw >= pwEnd)
        return FALSE;
    UINT nLen = *pw++;
    if (nLen == 0 || nLen > (UINT)(pwEnd - pw))
        return FALSE;
    CString text(reinterpret_cast<LPCWSTR>(pw), (int)nLen);
    *this = static_cast<CString&&>(text);
    return TRUE;
}

BOOL CString::LoadString(UINT nID)
{
    return LoadString(AfxGetResourceHandle(), nID);
}

// Strings with inserts: %1 to %9 replaced by the given strings.

void AFXAPI AfxFormatStrings(CString& rString, LPCTSTR lpszFormat, LPCTSTR const* rglpsz, int nString)
{
    CString strResult;
    for (LPCTSTR p = lpszFormat != NULL ? lpszFormat : ""; *p != '\0'; ++p)
    {
        if (*p == '%' && p[1] >= '1' && p[1] <= '9')
        {
            int i = p[1] - '1';
            if (i < nString && rglpsz != NULL && rglpsz[i] != NULL)
                strResult += rglpsz[i];
            ++p;
        }
        else
        {
            strResult += *p;
        }
    }
    rString = strResult;
}

void AFXAPI AfxFormatStrings(CString& rString, UINT nIDS, LPCTSTR const* rglpsz, int nString)
{
    CString strFormat;
    strFormat.LoadString(nIDS);
    AfxFormatStrings(rString, strFormat, rglpsz, nString);
}

void AFXAPI AfxFormatString1(CString& rString, UINT nIDS, LPCTSTR lpsz1)
{
    AfxFormatStrings(rString, nIDS, &lpsz1, 1);
}

void AFXAPI AfxFormatString2(CString& rString, UINT nIDS, LPCTSTR lpsz1, LPCTSTR lpsz2)
{
    LPCTSTR rglpsz[2] = { lpsz1, lpsz2 };
    AfxFormatStrings(rString, nIDS, rglpsz, 2);
}
