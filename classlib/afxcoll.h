// afxcoll.h - the named collection classes: arrays, lists and maps of
// bytes, words, pointers, objects and strings.  They share the templates of
// afxcolltpl_.h and behave like them (see there).
#ifndef BM_AFXCOLL_H
#define BM_AFXCOLL_H

#include "afx.h"
#include "afxcolltpl_.h"

// Arrays

class CByteArray : public CArray<BYTE, BYTE>
{
    DECLARE_SERIAL(CByteArray)
public:
    CByteArray() {}
};

class CWordArray : public CArray<WORD, WORD>
{
    DECLARE_SERIAL(CWordArray)
public:
    CWordArray() {}
};

class CDWordArray : public CArray<DWORD, DWORD>
{
    DECLARE_SERIAL(CDWordArray)
public:
    CDWordArray() {}
};

class CUIntArray : public CArray<UINT, UINT>
{
    DECLARE_DYNAMIC(CUIntArray)
public:
    CUIntArray() {}
};

class CPtrArray : public CArray<void*, void*>
{
    DECLARE_DYNAMIC(CPtrArray)
public:
    CPtrArray() {}
};

// Objects are archived as object references (WriteObject/ReadObject).
class CObArray : public CArray<CObject*, CObject*>
{
    DECLARE_SERIAL(CObArray)
public:
    CObArray() {}
};

class CStringArray : public CArray<CString, const CString&>
{
    DECLARE_SERIAL(CStringArray)
public:
    CStringArray() {}
    INT_PTR Add(LPCTSTR newElement) { return CArray<CString, const CString&>::Add(CString(newElement)); }
    INT_PTR Add(const CString& newElement) { return CArray<CString, const CString&>::Add(newElement); }
};

// Lists

class CPtrList : public CList<void*, void*>
{
    DECLARE_DYNAMIC(CPtrList)
public:
    explicit CPtrList(INT_PTR nBlockSize = 10) : CList<void*, void*>(nBlockSize) {}
};

class CObList : public CList<CObject*, CObject*>
{
    DECLARE_SERIAL(CObList)
public:
    explicit CObList(INT_PTR nBlockSize = 10) : CList<CObject*, CObject*>(nBlockSize) {}
};

class CStringList : public CList<CString, const CString&>
{
    DECLARE_SERIAL(CStringList)
public:
    explicit CStringList(INT_PTR nBlockSize = 10) : CList<CString, const CString&>(nBlockSize) {}
    POSITION AddHead(LPCTSTR newElement) { return CList<CString, const CString&>::AddHead(CString(newElement)); }
    POSITION AddHead(const CString& newElement) { return CList<CString, const CString&>::AddHead(newElement); }
    void AddHead(CStringList* pNewList) { CList<CString, const CString&>::AddHead(pNewList); }
    POSITION AddTail(LPCTSTR newElement) { return CList<CString, const CString&>::AddTail(CString(newElement)); }
    POSITION AddTail(const CString& newElement) { return CList<CString, const CString&>::AddTail(newElement); }
    void AddTail(CStringList* pNewList) { CList<CString, const CString&>::AddTail(pNewList); }
};

// Maps

class CMapPtrToPtr : public CMap<void*, void*, void*, void*>
{
    DECLARE_DYNAMIC(CMapPtrToPtr)
public:
    explicit CMapPtrToPtr(INT_PTR nBlockSize = 10) : CMap<void*, void*, void*, void*>(nBlockSize) {}
};

class CMapPtrToWord : public CMap<void*, void*, WORD, WORD>
{
    DECLARE_DYNAMIC(CMapPtrToWord)
public:
    explicit CMapPtrToWord(INT_PTR nBlockSize = 10) : CMap<void*, void*, WORD, WORD>(nBlockSize) {}
};

class CMapWordToPtr : public CMap<WORD, WORD, void*, void*>
{
    DECLARE_DYNAMIC(CMapWordToPtr)
public:
    explicit CMapWordToPtr(INT_PTR nBlockSize = 10) : CMap<WORD, WORD, void*, void*>(nBlockSize) {}
};

class CMapWordToOb : public CMap<WORD, WORD, CObject*, CObject*>
{
    DECLARE_SERIAL(CMapWordToOb)
public:
    explicit CMapWordToOb(INT_PTR nBlockSize = 10) : CMap<WORD, WORD, CObject*, CObject*>(nBlockSize) {}
};

class CMapStringToPtr : public CMap<CString, LPCTSTR, void*, void*>
{
    DECLARE_DYNAMIC(CMapStringToPtr)
public:
    explicit CMapStringToPtr(INT_PTR nBlockSize = 10) : CMap<CString, LPCTSTR, void*, void*>(nBlockSize) {}
    // Finds the stored key equal to key.
    BOOL LookupKey(LPCTSTR key, LPCTSTR& rKey) const;
};

class CMapStringToOb : public CMap<CString, LPCTSTR, CObject*, CObject*>
{
    DECLARE_SERIAL(CMapStringToOb)
public:
    explicit CMapStringToOb(INT_PTR nBlockSize = 10) : CMap<CString, LPCTSTR, CObject*, CObject*>(nBlockSize) {}
    BOOL LookupKey(LPCTSTR key, LPCTSTR& rKey) const;
};

class CMapStringToString : public CMap<CString, LPCTSTR, CString, LPCTSTR>
{
    DECLARE_SERIAL(CMapStringToString)
public:
    explicit CMapStringToString(INT_PTR nBlockSize = 10) : CMap<CString, LPCTSTR, CString, LPCTSTR>(nBlockSize) {}
    BOOL LookupKey(LPCTSTR key, LPCTSTR& rKey) const;
};

#endif // BM_AFXCOLL_H
