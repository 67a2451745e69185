// CObject, runtime class records and the class registry.
#include "afx.h"

CDumpContext afxDump;

namespace {

// Registered classes, linked through their AFX_CLASSINIT records.  The head
// is constant-initialised, so registration during static construction of
// any module is safe.
AFX_CLASSINIT* g_pFirstClassInit = NULL;

} // namespace

AFX_CLASSINIT::AFX_CLASSINIT(const CRuntimeClass* pNewClass)
    : m_pClass(pNewClass), m_pNext(g_pFirstClassInit)
{
    g_pFirstClassInit = this;
}

// CObject has no base class and cannot be created.
const CRuntimeClass CObject::classCObject = { "CObject", (int)sizeof(CObject), 0xFFFF, NULL, NULL };
static AFX_CLASSINIT _init_CObject(&CObject::classCObject);

CRuntimeClass* CObject::GetRuntimeClass() const
{
    return RUNTIME_CLASS(CObject);
}

CObject::~CObject()
{
}

BOOL CObject::IsSerializable() const
{
    return GetRuntimeClass()->m_wSchema != 0xFFFF;
}

BOOL CObject::IsKindOf(const CRuntimeClass* pClass) const
{
    return GetRuntimeClass()->IsDerivedFrom(pClass);
}

void CObject::Serialize(CArchive& ar)
{
    (void)ar;
}

void CObject::AssertValid() const
{
}

void CObject::Dump(CDumpContext& dc) const
{
    (void)dc;
}

CObject* CRuntimeClass::CreateObject() const
{
    if (m_pfnCreateObject == NULL)
        return NULL;
    try
    {
        return (*m_pfnCreateObject)();
    }
    catch (CException* e)
    {
        TRACE_EXCEPTION("CRuntimeClass::CreateObject", e);
        e->Delete();
    }
    catch (...)
    {
        TRACE_EXCEPTION("CRuntimeClass::CreateObject", NULL);
    }
    return NULL;
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const
{
    if (pBaseClass == NULL)
        return FALSE;
    for (const CRuntimeClass* pClass = this; pClass != NULL; pClass = pClass->m_pBaseClass)
    {
        if (pClass == pBaseClass)
            return TRUE;
    }
    return FALSE;
}

CRuntimeClass* PASCAL CRuntimeClass::FromName(LPCSTR lpszClassName)
{
    if (lpszClassName == NULL)
        return NULL;
    for (AFX_CLASSINIT* pInit = g_pFirstClassInit; pInit != NULL; pInit = pInit->m_pNext)
    {
        if (strcmp(pInit->m_pClass->m_lpszClassName, lpszClassName) == 0)
            return const_cast<CRuntimeClass*>(pInit->m_pClass);
    }
    return NULL;
}

CObject* PASCAL CRuntimeClass::CreateObject(LPCSTR lpszClassName)
{
    const CRuntimeClass* pClass = FromName(lpszClassName);
    return pClass == NULL ? NULL : pClass->CreateObject();
}

CObject* AFXAPI AfxDynamicDownCast(CRuntimeClass* pClass, CObject* pObject)
{
    if (pObject != NULL && pObject->IsKindOf(pClass))
        return pObject;
    return NULL;
}

void AFXAPI AfxAbort()
{
    abort();
}

void AFXAPI AfxDebugBreak()
{
    ::DebugBreak();
}
