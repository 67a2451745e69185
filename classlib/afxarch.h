// afxarch.h - CArchive: buffered binary serialization over a CFile, with
// class references and object graphs.  Included by afx.h.
//
// Layout (little-endian):
//   counts       WORD, or 0xFFFF + DWORD
//   CString      BYTE length, or 0xFF + WORD, or 0xFF 0xFFFF + DWORD; then the bytes
//   class        0xFFFF, WORD schema, WORD name length, name  (first time)
//                0x8000|index  (later; 0x7FFF + DWORD 0x80000000|index for big indexes)
//   object       0x0000 for NULL; an index for a repeat; else class, then Serialize
#ifndef BM_AFXARCH_H
#define BM_AFXARCH_H

#include "afxobj.h"
#include "afxstr.h"
#include "afxtypes.h"
#include "afxtime.h"
#include "afxvariant.h"
#include "afxfile.h"

class CDocument;

class CArchive
{
public:
    enum Mode { store = 0, load = 1, bNoFlushOnDelete = 2, bNoByteSwap = 4 };

    CArchive(CFile* pFile, UINT nMode, int nBufSize = 4096, void* lpBuf = NULL);
    ~CArchive();   // closes (flushes) unless bNoFlushOnDelete; never throws

    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    BOOL IsLoading() const { return (m_nMode & load) != 0; }
    BOOL IsStoring() const { return (m_nMode & load) == 0; }
    BOOL IsByteSwapping() const { return FALSE; }
    BOOL IsBufferEmpty() const { return m_lpBufCur == m_lpBufMax; }
    CFile* GetFile() const { return m_pFile; }

    // Schema of the object being read (-1 when none); reading resets it.
    UINT GetObjectSchema();
    void SetObjectSchema(UINT nSchema) { m_nObjectSchema = nSchema; }

    CDocument* m_pDocument;
    CString m_strFileName;

    // Raw data.  Read returns what it got (short only at the end).
    UINT Read(void* lpBuf, UINT nMax);
    // Reads exactly nCount bytes or throws endOfFile.
    void EnsureRead(void* lpBuf, UINT nCount);
    void Write(const void* lpBuf, UINT nMax);
    void Flush();
    void Close();
    void Abort();   // never throws; the file is left alone

    // Text lines.  ReadString(CString&) drops the line end; FALSE at the end.
    void WriteString(LPCTSTR lpsz);
    LPTSTR ReadString(LPTSTR lpsz, UINT nMax);
    BOOL ReadString(CString& rString);

    // Objects and classes. ReadObject refuses objects nested deeper than
    // nMaxObjectDepth (genericException), so that a forged archive cannot
    // exhaust the stack.
    enum { nMaxObjectDepth = 256 };
    CObject* ReadObject(const CRuntimeClass* pClass);
    void WriteObject(const CObject* pOb);
    void MapObject(const CObject* pOb);
    void WriteClass(const CRuntimeClass* pClassRef);
    // Throws badClass for an unknown class or one not derived from
    // pClassRefRequested.  With pSchema the stored schema is returned there
    // unchecked; without, it must match the class (or the class must be
    // VERSIONABLE_SCHEMA) and is kept for GetObjectSchema.
    CRuntimeClass* ReadClass(const CRuntimeClass* pClassRefRequested = NULL,
                             UINT* pSchema = NULL, DWORD* pObTag = NULL);
    void SerializeClass(const CRuntimeClass* pClassRef);

    // Element counts
    DWORD_PTR ReadCount();
    void WriteCount(DWORD_PTR dwCount);

    void SetStoreParams(UINT nHashSize = 2053, UINT nBlockSize = 128) { (void)nHashSize; (void)nBlockSize; }
    void SetLoadParams(UINT nGrowBy = 1024) { (void)nGrowBy; }

    // Loading: makes up to nBytesNeeded unread bytes available in the
    // buffer (fewer at the end of the file; never throws for that).
    void FillBuffer(UINT nBytesNeeded);
    // Copies the next nCount bytes without consuming them; FALSE (nothing
    // copied) when fewer remain.
    BOOL Peek(void* lpBuf, UINT nCount);

    // Bytes left to read (buffer plus file), when the file length is known.
    BOOL GetBytesLeft(ULONGLONG& nLeft) const;
    // Throws endOfFile when the stream certainly holds fewer than
    // nCount * nElementSize bytes (checked before allocating for a count).
    void CheckCount(ULONGLONG nCount, ULONGLONG nElementSize = 1) const;
    // How many of the nRemaining stored elements (nElementSize bytes each in
    // memory) to make room for next, nDone having been read: all of them
    // when the file's length is known (CheckCount has vouched for them);
    // otherwise (a pipe) a step that grows with what has arrived, so that a
    // count that lies fails at the end of the data having used little memory.
    ULONGLONG GetLoadStep(ULONGLONG nDone, ULONGLONG nRemaining, ULONGLONG nElementSize = 1) const;
    // Reads nBytes of stored data into a buffer from new[] (NULL for none;
    // the caller deletes it), made room for by GetLoadStep. Throws endOfFile
    // when the data ends first.
    BYTE* ReadNewBuffer(ULONGLONG nBytes);

    // Fixed-size values
    CArchive& operator<<(BYTE by);
    CArchive& operator<<(WORD w);
    CArchive& operator<<(LONG l);
    CArchive& operator<<(DWORD dw);
    CArchive& operator<<(float f);
    CArchive& operator<<(double d);
    CArchive& operator<<(LONGLONG dwdw);
    CArchive& operator<<(ULONGLONG dwdw);
    CArchive& operator<<(int i) { return operator<<((LONG)i); }
    CArchive& operator<<(short w) { return operator<<((WORD)w); }
    CArchive& operator<<(char ch) { return operator<<((BYTE)ch); }
    CArchive& operator<<(signed char ch) { return operator<<((BYTE)ch); }
    CArchive& operator<<(wchar_t ch) { return operator<<((WORD)ch); }
    CArchive& operator<<(unsigned u) { return operator<<((LONG)u); }
    CArchive& operator<<(bool b) { return operator<<((BYTE)(b ? 1 : 0)); }
    // Text is written in the string form (as a CString), not as a pointer.
    CArchive& operator<<(LPCSTR lpsz);

    CArchive& operator>>(BYTE& by);
    CArchive& operator>>(WORD& w);
    CArchive& operator>>(LONG& l);
    CArchive& operator>>(DWORD& dw);
    CArchive& operator>>(float& f);
    CArchive& operator>>(double& d);
    CArchive& operator>>(LONGLONG& dwdw);
    CArchive& operator>>(ULONGLONG& dwdw);
    CArchive& operator>>(int& i) { LONG l; *this >> l; i = (int)l; return *this; }
    CArchive& operator>>(short& w) { WORD v; *this >> v; w = (short)v; return *this; }
    CArchive& operator>>(char& ch) { BYTE v; *this >> v; ch = (char)v; return *this; }
    CArchive& operator>>(signed char& ch) { BYTE v; *this >> v; ch = (signed char)v; return *this; }
    CArchive& operator>>(wchar_t& ch) { WORD v; *this >> v; ch = (wchar_t)v; return *this; }
    CArchive& operator>>(unsigned& u) { LONG l; *this >> l; u = (unsigned)l; return *this; }
    CArchive& operator>>(bool& b) { BYTE v; *this >> v; b = v != 0; return *this; }

    // Buffer (public so that a reader can look ahead after FillBuffer).
    BYTE* m_lpBufCur;
    BYTE* m_lpBufMax;
    BYTE* m_lpBufStart;

protected:
    void CheckStoring() const;   // throws readOnly when loading
    void CheckLoading() const;   // throws writeOnly when storing
    void WriteTag(DWORD dwTag, bool bClass);
    CRuntimeClass* ReadClassImpl(const CRuntimeClass* pClassRefRequested, UINT* pSchema,
                                 DWORD* pObTag, bool bCheckSchema);

    UINT m_nMode;
    int m_nBufSize;
    BOOL m_bUserBuf;
    CFile* m_pFile;
    UINT m_nObjectSchema;
    UINT m_nObjectDepth;   // ReadObject calls now running (nested objects)

    struct MapState;
    MapState* m_pMap;   // store map (pointer -> index) or load array
};

// CString
CArchive& AFXAPI operator<<(CArchive& ar, const CString& string);
CArchive& AFXAPI operator>>(CArchive& ar, CString& string);
void AFXAPI AfxWriteStringLength(CArchive& ar, UINT_PTR nLength, BOOL bUnicode = FALSE);
// Returns the length; *pbUnicode (when given) tells whether wide characters follow.
UINT_PTR AFXAPI AfxReadStringLength(CArchive& ar, BOOL* pbUnicode = NULL);

// Objects
CArchive& AFXAPI operator<<(CArchive& ar, const CObject* pOb);
CArchive& AFXAPI operator>>(CArchive& ar, CObject*& pOb);
CArchive& AFXAPI operator>>(CArchive& ar, const CObject*& pOb);

// Geometry (raw structures)
CArchive& AFXAPI operator<<(CArchive& ar, SIZE size);
CArchive& AFXAPI operator<<(CArchive& ar, POINT point);
CArchive& AFXAPI operator<<(CArchive& ar, const RECT& rect);
CArchive& AFXAPI operator>>(CArchive& ar, SIZE& size);
CArchive& AFXAPI operator>>(CArchive& ar, POINT& point);
CArchive& AFXAPI operator>>(CArchive& ar, RECT& rect);

// Times (64-bit seconds), OLE dates (LONG status, then the double), variants
CArchive& AFXAPI operator<<(CArchive& ar, CTime time);
CArchive& AFXAPI operator>>(CArchive& ar, CTime& rtime);
CArchive& AFXAPI operator<<(CArchive& ar, CTimeSpan timeSpan);
CArchive& AFXAPI operator>>(CArchive& ar, CTimeSpan& rtimeSpan);
CArchive& AFXAPI operator<<(CArchive& ar, const COleDateTime& dateSrc);
CArchive& AFXAPI operator>>(CArchive& ar, COleDateTime& dateSrc);
CArchive& AFXAPI operator<<(CArchive& ar, const COleDateTimeSpan& dateSpanSrc);
CArchive& AFXAPI operator>>(CArchive& ar, COleDateTimeSpan& dateSpanSrc);
CArchive& AFXAPI operator<<(CArchive& ar, const COleVariant& varSrc);
CArchive& AFXAPI operator>>(CArchive& ar, COleVariant& varSrc);

#endif // BM_AFXARCH_H
