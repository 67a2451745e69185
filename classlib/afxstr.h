// afxstr.h - CString, the 8-bit string of the class library.
//
// The only data member is a pointer to the characters; their length and
// capacity sit in a header just before them.  Copies are deep (no shared
// buffers), so strings may be used from several threads independently.
//
// Note on "..." arguments: g++ passes a class object with a copy constructor
// through an ellipsis by reference, so C library printf-style functions do
// NOT see the characters of a CString argument -- cast with (LPCTSTR) there.
// CString::Format/FormatV/AppendFormat recognise CString arguments for %s.
#ifndef BM_AFXSTR_H
#define BM_AFXSTR_H

#include "afxver_.h"
#include <oleauto.h>
#include <stdarg.h>

struct CStringData
{
    DWORD dwTag;        // marks a string buffer (see CString::FormatV)
    long nRefs;         // -1 for the shared empty buffer, 1 otherwise
    int nDataLength;    // characters, without the terminating 0
    int nAllocLength;   // characters that fit, without the terminating 0

    char* data() { return reinterpret_cast<char*>(this + 1); }
};

// The shared, never written, empty buffer.
struct CStringNilData
{
    CStringData hdr;
    char chNil[4];
};
extern CStringNilData _afxStringNil;

class CString
{
public:
    CString() : m_pchData(_afxStringNil.chNil) {}
    CString(const CString& stringSrc);
    CString(CString&& stringSrc) noexcept;
    CString(char ch, int nRepeat = 1);
    CString(LPCSTR lpsz);                 // an integer resource id loads the string
    CString(LPCSTR lpch, int nLength);
    CString(const unsigned char* psz);
    CString(LPCWSTR lpsz);
    CString(LPCWSTR lpch, int nLength);
    ~CString();

    // Attributes
    int GetLength() const { return GetData()->nDataLength; }
    int GetAllocLength() const { return GetData()->nAllocLength; }
    BOOL IsEmpty() const { return GetData()->nDataLength == 0; }
    void Empty();

    // Index == length gives the terminating 0; other indexes out of range throw.
    char GetAt(int nIndex) const;
    char operator[](int nIndex) const { return GetAt(nIndex); }
    void SetAt(int nIndex, char ch);
    operator LPCTSTR() const { return m_pchData; }
    LPCTSTR GetString() const { return m_pchData; }

    // Assignment and concatenation
    CString& operator=(const CString& stringSrc);
    CString& operator=(CString&& stringSrc) noexcept;
    CString& operator=(char ch);
    CString& operator=(LPCSTR lpsz);
    CString& operator=(const unsigned char* psz);
    CString& operator=(LPCWSTR lpsz);
    CString& operator+=(const CString& string);
    CString& operator+=(char ch);
    CString& operator+=(LPCSTR lpsz);
    CString& operator+=(LPCWSTR lpsz);
    void SetString(LPCSTR lpsz);
    void SetString(LPCSTR lpch, int nLength);
    void Append(LPCSTR lpsz);
    void Append(LPCSTR lpch, int nLength);
    void Append(const CString& str);
    void AppendChar(char ch);

    friend CString AFXAPI operator+(const CString& string1, const CString& string2);
    friend CString AFXAPI operator+(const CString& string, char ch);
    friend CString AFXAPI operator+(char ch, const CString& string);
    friend CString AFXAPI operator+(const CString& string, LPCSTR lpsz);
    friend CString AFXAPI operator+(LPCSTR lpsz, const CString& string);

    // Comparison (case-sensitive unless said otherwise)
    int Compare(LPCSTR lpsz) const;
    int CompareNoCase(LPCSTR lpsz) const;
    int Collate(LPCSTR lpsz) const;
    int CollateNoCase(LPCSTR lpsz) const;

    // Extraction; positions and counts are clamped to the string.
    CString Mid(int nFirst, int nCount) const;
    CString Mid(int nFirst) const;
    CString Left(int nCount) const;
    CString Right(int nCount) const;
    CString SpanIncluding(LPCSTR lpszCharSet) const;
    CString SpanExcluding(LPCSTR lpszCharSet) const;
    CString Tokenize(LPCSTR pszTokens, int& iStart) const;

    // Changes
    CString& MakeUpper();
    CString& MakeLower();
    CString& MakeReverse();
    int Replace(char chOld, char chNew);
    int Replace(LPCSTR lpszOld, LPCSTR lpszNew);
    int Remove(char chRemove);
    int Insert(int nIndex, char ch);
    int Insert(int nIndex, LPCSTR pstr);
    int Delete(int nIndex, int nCount = 1);
    void Truncate(int nNewLength);

    CString& Trim();
    CString& Trim(char chTarget);
    CString& Trim(LPCSTR lpszTargets);
    CString& TrimRight();
    CString& TrimRight(char chTarget);
    CString& TrimRight(LPCSTR lpszTargets);
    CString& TrimLeft();
    CString& TrimLeft(char chTarget);
    CString& TrimLeft(LPCSTR lpszTargets);

    // Searching; -1 when absent.
    int Find(char ch) const;
    int Find(char ch, int nStart) const;
    int Find(LPCSTR lpszSub) const;
    int Find(LPCSTR lpszSub, int nStart) const;
    int ReverseFind(char ch) const;
    int FindOneOf(LPCSTR lpszCharSet) const;

    // Formatting (printf syntax; never truncates)
    void AFX_CDECL Format(LPCSTR lpszFormat, ...);
    void AFX_CDECL Format(UINT nFormatID, ...);
    void FormatV(LPCSTR lpszFormat, va_list argList);
    void AFX_CDECL AppendFormat(LPCSTR lpszFormat, ...);
    void AppendFormatV(LPCSTR lpszFormat, va_list argList);
    // Windows message syntax (%1, %2!d!, ...)
    void AFX_CDECL FormatMessage(LPCSTR lpszFormat, ...);
    void AFX_CDECL FormatMessage(UINT nFormatID, ...);

    // String resources: FALSE, and the string empty, for a missing id.
    BOOL LoadString(UINT nID);
    BOOL LoadString(HINSTANCE hInstance, UINT nID);

    // OLE strings
    BSTR AllocSysString() const;
    BSTR SetSysString(BSTR* pbstr) const;

    // Direct buffer access
    LPSTR GetBuffer(int nMinBufLength);
    LPSTR GetBuffer();
    void ReleaseBuffer(int nNewLength = -1);
    void ReleaseBufferSetLength(int nNewLength);
    LPSTR GetBufferSetLength(int nNewLength);
    void FreeExtra();
    void Preallocate(int nLength);
    LPSTR LockBuffer();
    void UnlockBuffer();

    // Tag stored in every buffer header.
    static const DWORD kTag = 0x53744D42;  // "BMtS"

protected:
    LPSTR m_pchData;

    CStringData* GetData() const { return reinterpret_cast<CStringData*>(m_pchData) - 1; }
    // The shared empty buffer is known by its reference count, not by its
    // address: a string made in another module (the program's exported
    // classes are used from outside) points at that module's own copy.
    bool IsNil() const { return GetData()->nRefs < 0; }
    void Release();                               // back to the shared empty buffer
    void EnsureCapacity(int nLength, bool bExact);   // writable, keeps the content
    void AssignCopy(LPCSTR lpch, int nLength);
    void ConcatInPlace(LPCSTR lpch, int nLength);
    static int SafeStrLen(LPCSTR lpsz);
};

// Comparison operators
bool AFXAPI operator==(const CString& s1, const CString& s2);
bool AFXAPI operator==(const CString& s1, LPCSTR s2);
bool AFXAPI operator==(LPCSTR s1, const CString& s2);
bool AFXAPI operator!=(const CString& s1, const CString& s2);
bool AFXAPI operator!=(const CString& s1, LPCSTR s2);
bool AFXAPI operator!=(LPCSTR s1, const CString& s2);
bool AFXAPI operator<(const CString& s1, const CString& s2);
bool AFXAPI operator<(const CString& s1, LPCSTR s2);
bool AFXAPI operator<(LPCSTR s1, const CString& s2);
bool AFXAPI operator>(const CString& s1, const CString& s2);
bool AFXAPI operator>(const CString& s1, LPCSTR s2);
bool AFXAPI operator>(LPCSTR s1, const CString& s2);
bool AFXAPI operator<=(const CString& s1, const CString& s2);
bool AFXAPI operator<=(const CString& s1, LPCSTR s2);
bool AFXAPI operator<=(LPCSTR s1, const CString& s2);
bool AFXAPI operator>=(const CString& s1, const CString& s2);
bool AFXAPI operator>=(const CString& s1, LPCSTR s2);
bool AFXAPI operator>=(LPCSTR s1, const CString& s2);

// Copies field iSubString (0-based) of lpszFullString, fields separated by
// chSep, into rString.  FALSE (and rString empty) past the last field.
BOOL AFXAPI AfxExtractSubString(CString& rString, LPCTSTR lpszFullString,
                                int iSubString, TCHAR chSep = '\n');

// Strings with inserts: each %1 to %9 of the format (or of string resource
// nIDS) becomes the string of that number; inserts beyond nString vanish.
void AFXAPI AfxFormatString1(CString& rString, UINT nIDS, LPCTSTR lpsz1);
void AFXAPI AfxFormatString2(CString& rString, UINT nIDS, LPCTSTR lpsz1, LPCTSTR lpsz2);
void AFXAPI AfxFormatStrings(CString& rString, UINT nIDS, LPCTSTR const* rglpsz, int nString);
void AFXAPI AfxFormatStrings(CString& rString, LPCTSTR lpszFormat, LPCTSTR const* rglpsz, int nString);

#endif // BM_AFXSTR_H
