// Property exchange: one DoPropExchange routine both saves and loads an
// object's settings through named, typed values in nested sections. Stores:
// the registry, an INI file and a binary CArchive.
#pragma once

#include "XTPCommon.h"

// Value types: the VARIANT type numbers plus the toolkit's own.
//   VT_I2 2, VT_I4 3, VT_R4 4, VT_R8 5, VT_CY 6, VT_DATE 7 (COleDateTime),
//   VT_BSTR 8, VT_BOOL 11 (a 32-bit BOOL), VT_VARIANT 12, VT_UI1 17,
//   VT_LPSTR 30 (an 8-bit CString; its default is a plain text pointer),
//   VT_EX_RECT 100 (RECT), VT_EX_SIZE 101 (SIZE or POINT).
#define VT_EX_RECT 100
#define VT_EX_SIZE 101

// Blocks and counts read from a store larger than this are refused before
// anything is allocated.
#define XTP_PROPEXCHANGE_MAX_BLOCK (64u * 1024u * 1024u)

class CXTPPropExchange;

// Walks the sections name0, name1, ... of a container exchange.
class CXTPPropExchangeEnumerator
{
public:
    CXTPPropExchangeEnumerator(CXTPPropExchange* pContainer, LPCTSTR lpszSection);
    virtual ~CXTPPropExchangeEnumerator();

    // Stores (saving) or reads (loading) the count; the first position, or
    // NULL when there are no sections.
    virtual POSITION GetPosition(DWORD dwCount = 0, BOOL bCompactMode = TRUE);
    // The section at pos (released by the caller); pos moves on, NULL after the last.
    virtual CXTPPropExchange* GetNext(POSITION& pos);

protected:
    CXTPPropExchange* m_pContainer;
    CString m_strSectionName;
    DWORD m_nCount;
};

class CXTPPropExchange : public CCmdTarget
{
public:
    CXTPPropExchange();
    virtual ~CXTPPropExchange();

    BOOL IsLoading() const { return m_bLoading; }
    BOOL IsStoring() const { return !m_bLoading; }
    BOOL IsRootSection() const { return !m_bChildSection; }
    void UseDefaultOnLoad(BOOL bUseDefaultOnLoad = TRUE) { m_bUseDefaultOnLoad = bUseDefaultOnLoad; }
    void UseDefaultOnSave(BOOL bUseDefaultOnSave = TRUE) { m_bUseDefaultOnSave = bUseDefaultOnSave; }
    void SetContext(void* pContext) { m_pContext = pContext; }
    void* GetContext() const { return m_pContext; }
    int GetSchema() const { return m_nSchema; }

    virtual BOOL ExchangeValue(LPCTSTR pszPropName, VARTYPE vtProp, void* pvProp, const void* pvDefault = NULL) = 0;
    virtual BOOL ExchangeBlob(LPCTSTR pszPropName, BYTE*& pData, DWORD& nBytes);
    virtual BOOL ExchangeClass(LPCTSTR pszPropName, CRuntimeClass*& pClass, CRuntimeClass* pDefaultClass);
    virtual BOOL ExchangeObjectByClass(CObject*& pObject, CRuntimeClass* pDefaultClass);
    virtual CArchive* OpenBlobArchive(LPCTSTR pszPropName);
    // Stores what was written into the archive as the block (when saving)
    // and frees the archive: FALSE when the block could not be stored whole.
    virtual BOOL CloseBlobArchive(LPCTSTR pszPropName, CArchive* pArchive);
    virtual CXTPPropExchange* OpenSection(LPCTSTR lpszSection) = 0;
    virtual void ClearSection();
    virtual void WriteCount(DWORD dwCount);
    virtual DWORD ReadCount();
    virtual BOOL WriteBlock(LPCTSTR pszPropName, BYTE* pData, DWORD nBytes);
    virtual DWORD ReadBlock(LPCTSTR pszPropName, BYTE* pData, DWORD nBytes);
    virtual BOOL CanOmitValues() { return TRUE; }
    virtual BOOL IsBinaryStore() { return FALSE; }
    virtual BOOL PrepareStore();
    virtual CXTPPropExchangeEnumerator* CreateEnumerator(LPCTSTR lpszSection);
    virtual void ExchangeSchema();

    // Value rules shared by the stores.
    static DWORD AFX_CDECL GetSizeOfVarType(VARTYPE vt);
    // Copies the default into the value; FALSE without a default.
    static BOOL AFX_CDECL CopyPropValue(VARTYPE vtProp, void* pvDest, const void* pvSrc);
    static BOOL AFX_CDECL IsSamePropValue(VARTYPE vtProp, const void* pv1, const void* pv2);

    // Text forms.
    static CString AFX_CDECL EscapeString(const CString& str);
    static CString AFX_CDECL UnescapeString(const CString& str);
    static CString AFX_CDECL BlobToText(const BYTE* pData, DWORD nBytes);
    static CString AFX_CDECL DateTimeToText(const COleDateTime& dt);
    static BOOL AFX_CDECL TextToDateTime(LPCTSTR lpszText, COleDateTime& dt);
    // Converts a value to its text form; FALSE for types without one.
    static BOOL AFX_CDECL PropToText(VARTYPE vtProp, const void* pvProp, CString& strText);
    // Reads a value from its text form, applying pvDefault where the form
    // says so; FALSE when the text cannot be read.
    static BOOL AFX_CDECL TextToProp(VARTYPE vtProp, const CString& strText, void* pvProp, const void* pvDefault);

public:
    void* m_pContext;
    BOOL m_bLoading;
    int m_nSchema;
    BOOL m_bChildSection;
    BOOL m_bEmptySection;
    BOOL m_bInitialized;
    BOOL m_bUseDefaultOnLoad;
    BOOL m_bUseDefaultOnSave;

protected:
    // Copies the state a new section takes from its parent.
    void InitSection(CXTPPropExchange* pParent);
};

// Keeps a section in the registry key of the same name under a parent key.
class CXTPPropExchangeRegistry : public CXTPPropExchange
{
public:
    // A null parent key means the application's own key under HKEY_CURRENT_USER.
    CXTPPropExchangeRegistry(BOOL bLoading, HKEY hParentKey, LPCTSTR lpszSection);
    virtual ~CXTPPropExchangeRegistry();

    virtual BOOL ExchangeValue(LPCTSTR pszPropName, VARTYPE vtProp, void* pvProp, const void* pvDefault = NULL);
    virtual BOOL ExchangeBlob(LPCTSTR pszPropName, BYTE*& pData, DWORD& nBytes);
    virtual CXTPPropExchange* OpenSection(LPCTSTR lpszSection);
    virtual void ClearSection();
    virtual BOOL IsBinaryStore() { return TRUE; }
    virtual BOOL PrepareStore();

    HKEY GetSectionKey() const { return m_hSectionKey; }

protected:
    // Removes a stored value (TRUE when it is gone, or was not there).
    BOOL RemoveValue(LPCTSTR pszPropName);
    // A section below an exchange: hParentKey is that exchange's opened key,
    // or NULL when it could not be opened, in which case this section fails
    // too (it never falls back to the application's key).
    CXTPPropExchangeRegistry(BOOL bLoading, HKEY hParentKey, LPCTSTR lpszSection, BOOL bAppKeyFallback);

    HKEY m_hSectionKey;
    HKEY m_hParentKey;
    CString m_strSectionName;
    BOOL m_bCloseParentKey;
};

// Keeps a section as an INI section ("parent\name") and each value as a text line.
class CXTPPropExchangeIniFile : public CXTPPropExchange
{
public:
    CXTPPropExchangeIniFile(BOOL bLoading, LPCTSTR lpszParentSection, LPCTSTR lpszSection);
    virtual ~CXTPPropExchangeIniFile();

    void SetFileName(LPCTSTR lpszFileName);
    CString GetFileName() const { return m_strFileName; }
    CString GetSectionPath() const { return m_strSectionName; }

    virtual BOOL ExchangeValue(LPCTSTR pszPropName, VARTYPE vtProp, void* pvProp, const void* pvDefault = NULL);
    virtual CXTPPropExchange* OpenSection(LPCTSTR lpszSection);
    virtual void ClearSection();
    virtual BOOL PrepareStore();

protected:
    // Removes a stored value (TRUE when it is gone, or was not there).
    BOOL RemoveValue(LPCTSTR pszPropName);

    CString m_strSectionName;
    CString m_strFileName;
    BOOL m_bDeleteFile;
};

// Writes every value, in call order, into a binary archive owned by the caller.
class CXTPPropExchangeArchive : public CXTPPropExchange
{
public:
    explicit CXTPPropExchangeArchive(CArchive& ar);
    virtual ~CXTPPropExchangeArchive();

    virtual BOOL ExchangeValue(LPCTSTR pszPropName, VARTYPE vtProp, void* pvProp, const void* pvDefault = NULL);
    virtual BOOL ExchangeBlob(LPCTSTR pszPropName, BYTE*& pData, DWORD& nBytes);
    virtual BOOL ExchangeClass(LPCTSTR pszPropName, CRuntimeClass*& pClass, CRuntimeClass* pDefaultClass);
    virtual BOOL ExchangeObjectByClass(CObject*& pObject, CRuntimeClass* pDefaultClass);
    virtual CArchive* OpenBlobArchive(LPCTSTR pszPropName);
    virtual BOOL CloseBlobArchive(LPCTSTR pszPropName, CArchive* pArchive);
    virtual CXTPPropExchange* OpenSection(LPCTSTR lpszSection);
    virtual void ClearSection();
    virtual void WriteCount(DWORD dwCount);
    virtual DWORD ReadCount();
    virtual BOOL WriteBlock(LPCTSTR pszPropName, BYTE* pData, DWORD nBytes);
    virtual DWORD ReadBlock(LPCTSTR pszPropName, BYTE* pData, DWORD nBytes);
    virtual BOOL CanOmitValues() { return FALSE; }
    virtual BOOL IsBinaryStore() { return TRUE; }
    virtual void ExchangeSchema();

    CArchive& GetArchive() { return *m_pArchive; }

protected:
    // Writes a class as a twin that carries this exchange's schema.
    void WriteClassWithSchema(const CRuntimeClass* pClass);

    CArchive* m_pArchive;
};

// Holds one exchange (a section) and releases it when it goes out of scope.
// Built from a loading flag and a section name, it opens that section of the
// application profile: in the registry when the application has a registry
// key, else in the application's profile file.
class CXTPPropExchangeSection
{
public:
    explicit CXTPPropExchangeSection(CXTPPropExchange* pExchange);
    CXTPPropExchangeSection(BOOL bLoading, LPCTSTR lpszSection);
    virtual ~CXTPPropExchangeSection();

    CXTPPropExchange* operator->() const { return m_pExchange; }
    operator CXTPPropExchange*() const { return m_pExchange; }
    CXTPPropExchange* GetExchange() const { return m_pExchange; }

private:
    CXTPPropExchangeSection(const CXTPPropExchangeSection&);
    CXTPPropExchangeSection& operator=(const CXTPPropExchangeSection&);

    CXTPPropExchange* m_pExchange;
};

// Owns an enumerator.
class CXTPPropExchangeEnumeratorPtr
{
public:
    explicit CXTPPropExchangeEnumeratorPtr(CXTPPropExchangeEnumerator* p) : m_p(p) {}
    ~CXTPPropExchangeEnumeratorPtr() { delete m_p; }
    CXTPPropExchangeEnumerator* operator->() const { return m_p; }
    operator CXTPPropExchangeEnumerator*() const { return m_p; }

private:
    CXTPPropExchangeEnumeratorPtr(const CXTPPropExchangeEnumeratorPtr&);
    CXTPPropExchangeEnumeratorPtr& operator=(const CXTPPropExchangeEnumeratorPtr&);
    CXTPPropExchangeEnumerator* m_p;
};

// Typed helpers.
BOOL AFX_CDECL PropExchangeByte(CXTPPropExchange* pPX, LPCTSTR pszPropName, BYTE& nValue, BYTE nDefault);
BOOL AFX_CDECL PropExchangeShort(CXTPPropExchange* pPX, LPCTSTR pszPropName, short& sValue, short sDefault);
BOOL AFX_CDECL PropExchangeLong(CXTPPropExchange* pPX, LPCTSTR pszPropName, long& lValue);
BOOL AFX_CDECL PropExchangeLong(CXTPPropExchange* pPX, LPCTSTR pszPropName, int& nValue);
BOOL AFX_CDECL PropExchangeLong(CXTPPropExchange* pPX, LPCTSTR pszPropName, UINT& nValue);
BOOL AFX_CDECL PropExchangeLong(CXTPPropExchange* pPX, LPCTSTR pszPropName, DWORD& nValue);
BOOL AFX_CDECL PropExchangeLongWithDefault(CXTPPropExchange* pPX, LPCTSTR pszPropName, long& lValue, long lDefault);
BOOL AFX_CDECL PropExchangeLongWithDefault(CXTPPropExchange* pPX, LPCTSTR pszPropName, int& nValue, int nDefault);
BOOL AFX_CDECL PropExchangeLongWithDefault(CXTPPropExchange* pPX, LPCTSTR pszPropName, UINT& nValue, UINT nDefault);
BOOL AFX_CDECL PropExchangeLongWithDefault(CXTPPropExchange* pPX, LPCTSTR pszPropName, DWORD& nValue, DWORD nDefault);
BOOL AFX_CDECL PropExchangeBool(CXTPPropExchange* pPX, LPCTSTR pszPropName, BOOL& bValue, BOOL bDefault);
BOOL AFX_CDECL PropExchangeString(CXTPPropExchange* pPX, LPCTSTR pszPropName, CString& strValue);
BOOL AFX_CDECL PropExchangeStringWithDefault(CXTPPropExchange* pPX, LPCTSTR pszPropName, CString& strValue,
                                             LPCTSTR lpszDefault);
BOOL AFX_CDECL PropExchangeSize(CXTPPropExchange* pPX, LPCTSTR pszPropName, SIZE& szValue, SIZE szDefault);
BOOL AFX_CDECL PropExchangeRect(CXTPPropExchange* pPX, LPCTSTR pszPropName, RECT& rcValue, RECT rcDefault);
BOOL AFX_CDECL PropExchangeBlob(CXTPPropExchange* pPX, LPCTSTR pszPropName, BYTE*& pData, DWORD& nBytes);
BOOL AFX_CDECL PropExchangeSerialize(CXTPPropExchange* pPX, LPCTSTR pszPropName, CObject* pObject);
