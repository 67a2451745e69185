// afxtls_.h - lazily created data: one object per thread (CThreadLocal) or
// one per process (CProcessLocal).  Included by afx.h.
#ifndef BM_AFXTLS_H
#define BM_AFXTLS_H

#include "afxver_.h"

// Base of objects kept by CThreadLocal / CProcessLocal.
class CNoTrackObject
{
public:
    CNoTrackObject() {}
    virtual ~CNoTrackObject() {}
    CNoTrackObject(const CNoTrackObject&) = delete;
    CNoTrackObject& operator=(const CNoTrackObject&) = delete;
};

// One object per thread, created on the thread's first GetData and deleted
// when the thread ends (or when this holder is destroyed).
class CThreadLocalObject
{
public:
    constexpr CThreadLocalObject() : m_pImpl(NULL) {}
    ~CThreadLocalObject();
    CThreadLocalObject(const CThreadLocalObject&) = delete;
    CThreadLocalObject& operator=(const CThreadLocalObject&) = delete;

    CNoTrackObject* GetData(CNoTrackObject* (AFXAPI* pfnCreateObject)());
    CNoTrackObject* GetDataNA();   // no creation: NULL if this thread has none

    struct Impl;
private:
    Impl* m_pImpl;   // created on first use (holders may be static objects)
    friend struct Impl;
};

// One object per process, created on first GetData (thread-safe).
class CProcessLocalObject
{
public:
    constexpr CProcessLocalObject() : m_pObject(NULL) {}
    ~CProcessLocalObject();
    CProcessLocalObject(const CProcessLocalObject&) = delete;
    CProcessLocalObject& operator=(const CProcessLocalObject&) = delete;

    CNoTrackObject* GetData(CNoTrackObject* (AFXAPI* pfnCreateObject)());

private:
    CNoTrackObject* volatile m_pObject;
};

template <class TYPE>
class CThreadLocal : public CThreadLocalObject
{
public:
    TYPE* GetData() { return static_cast<TYPE*>(CThreadLocalObject::GetData(&CreateObject)); }
    TYPE* GetDataNA() { return static_cast<TYPE*>(CThreadLocalObject::GetDataNA()); }
    operator TYPE*() { return GetData(); }
    TYPE* operator->() { return GetData(); }

    static CNoTrackObject* AFXAPI CreateObject() { return new TYPE; }
};

template <class TYPE>
class CProcessLocal : public CProcessLocalObject
{
public:
    TYPE* GetData() { return static_cast<TYPE*>(CProcessLocalObject::GetData(&CreateObject)); }
    TYPE* GetDataNA() { return static_cast<TYPE*>(CProcessLocalObject::GetData(NULL)); }
    operator TYPE*() { return GetData(); }
    TYPE* operator->() { return GetData(); }

    static CNoTrackObject* AFXAPI CreateObject() { return new TYPE; }
};

#define THREAD_LOCAL(class_name, ident_name) CThreadLocal<class_name> ident_name;
#define EXTERN_THREAD_LOCAL(class_name, ident_name) extern CThreadLocal<class_name> ident_name;
#define PROCESS_LOCAL(class_name, ident_name) CProcessLocal<class_name> ident_name;
#define EXTERN_PROCESS_LOCAL(class_name, ident_name) extern CProcessLocal<class_name> ident_name;

#endif // BM_AFXTLS_H
