// afxobj.h - CObject and runtime class records (dynamic type checks,
// creation by name, serialization schemas).  Included by afx.h.
#ifndef BM_AFXOBJ_H
#define BM_AFXOBJ_H

#include "afxver_.h"

class CObject;
class CArchive;
class CDumpContext;
struct CRuntimeClass;

// Schema flag: the class accepts older schemas on load and reads them itself
// through CArchive::GetObjectSchema.
#define VERSIONABLE_SCHEMA (0x80000000)

struct CRuntimeClass
{
    LPCSTR m_lpszClassName;
    int m_nObjectSize;
    UINT m_wSchema;                          // 0xFFFF unless serializable
    CObject* (PASCAL* m_pfnCreateObject)();  // NULL: abstract / not creatable
    CRuntimeClass* m_pBaseClass;             // first base only

    // Creates an object of this class; NULL on failure, never throws.
    CObject* CreateObject() const;
    BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;

    // Exact, case-sensitive lookup among all registered classes.
    static CRuntimeClass* PASCAL FromName(LPCSTR lpszClassName);
    static CObject* PASCAL CreateObject(LPCSTR lpszClassName);

    // Archive form of a class reference: schema (WORD), name length (WORD), name.
    void Store(CArchive& ar) const;
    static CRuntimeClass* PASCAL Load(CArchive& ar, UINT* pwSchemaNum);
};

// Registers a class record at start-up so that FromName can find it.
struct AFX_CLASSINIT
{
    explicit AFX_CLASSINIT(const CRuntimeClass* pNewClass);
    const CRuntimeClass* m_pClass;
    AFX_CLASSINIT* m_pNext;
};

class CObject
{
public:
    virtual CRuntimeClass* GetRuntimeClass() const;
    virtual ~CObject();

protected:
    CObject() {}

public:
    // Objects are not copied through the base; classes that want copying
    // define their own copy constructor and assignment.
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;

    BOOL IsSerializable() const;
    BOOL IsKindOf(const CRuntimeClass* pClass) const;

    virtual void Serialize(CArchive& ar);
    virtual void AssertValid() const;
    virtual void Dump(CDumpContext& dc) const;

    static const CRuntimeClass classCObject;
};

// Diagnostic dump target; dumps go nowhere in this build.
class CDumpContext
{
public:
    CDumpContext() {}
    int GetDepth() const { return 0; }
    void SetDepth(int) {}
    template <class T> CDumpContext& operator<<(const T&) { return *this; }
    void HexDump(LPCTSTR, BYTE*, int, int) {}
    void Flush() {}
};
extern CDumpContext afxDump;

#define _RUNTIME_CLASS(class_name) ((CRuntimeClass*)(&class_name::class##class_name))
#define RUNTIME_CLASS(class_name) _RUNTIME_CLASS(class_name)

CObject* AFXAPI AfxDynamicDownCast(CRuntimeClass* pClass, CObject* pObject);
#define DYNAMIC_DOWNCAST(class_name, object) \
    ((class_name*)AfxDynamicDownCast(RUNTIME_CLASS(class_name), (CObject*)(object)))
#define STATIC_DOWNCAST(class_name, object) (static_cast<class_name*>(object))

#define DECLARE_DYNAMIC(class_name) \
public: \
    static const CRuntimeClass class##class_name; \
    virtual CRuntimeClass* GetRuntimeClass() const;

#define DECLARE_DYNCREATE(class_name) \
    DECLARE_DYNAMIC(class_name) \
    static CObject* PASCAL CreateObject();

#define DECLARE_SERIAL(class_name) \
    DECLARE_DYNCREATE(class_name) \
    friend CArchive& AFXAPI operator>>(CArchive& ar, class_name*& pOb);

#define _BM_CLASSINIT_NAME2(a, b) a##b
#define _BM_CLASSINIT_NAME(a, b) _BM_CLASSINIT_NAME2(a, b)

#define IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, pfnNew) \
    const CRuntimeClass class_name::class##class_name = { \
        #class_name, (int)sizeof(class class_name), (UINT)(wSchema), pfnNew, \
        RUNTIME_CLASS(base_class_name) }; \
    static AFX_CLASSINIT _BM_CLASSINIT_NAME(_init_##class_name, __LINE__)(RUNTIME_CLASS(class_name)); \
    CRuntimeClass* class_name::GetRuntimeClass() const { return RUNTIME_CLASS(class_name); }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, NULL)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name) \
    CObject* PASCAL class_name::CreateObject() { return new class_name; } \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, class_name::CreateObject)

#define IMPLEMENT_SERIAL(class_name, base_class_name, wSchema) \
    CObject* PASCAL class_name::CreateObject() { return new class_name; } \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, class_name::CreateObject) \
    [[maybe_unused]] CArchive& AFXAPI operator>>(CArchive& ar, class_name*& pOb) \
    { pOb = (class_name*)ar.ReadObject(RUNTIME_CLASS(class_name)); return ar; }

#endif // BM_AFXOBJ_H
