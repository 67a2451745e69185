// Module state and lazily created per-thread / per-process objects.
#include "afx.h"

#include <mutex>
#include <vector>
#include <algorithm>

namespace {

AFX_MODULE_STATE g_moduleState = { NULL, NULL, NULL, NULL };

// Serialises creation and clean-up of lazily created objects.
std::mutex& LocalDataMutex()
{
    static std::mutex* s_pMutex = new std::mutex;   // never destroyed: used at exit
    return *s_pMutex;
}

} // namespace

AFX_MODULE_STATE* AFXAPI AfxGetModuleState()
{
    AFX_MODULE_STATE* pState = &g_moduleState;
    if (pState->m_hCurrentInstanceHandle == NULL)
        pState->m_hCurrentInstanceHandle = ::GetModuleHandleA(NULL);
    if (pState->m_hCurrentResourceHandle == NULL)
        pState->m_hCurrentResourceHandle = pState->m_hCurrentInstanceHandle;
    return pState;
}

AFX_MODULE_STATE* AFXAPI AfxGetStaticModuleState()
{
    return AfxGetModuleState();
}

AFX_MODULE_STATE* AFXAPI AfxGetAppModuleState()
{
    return AfxGetModuleState();
}

HINSTANCE AFXAPI AfxGetInstanceHandle()
{
    return AfxGetModuleState()->m_hCurrentInstanceHandle;
}

void AFXAPI AfxSetInstanceHandle(HINSTANCE hInstance)
{
    AFX_MODULE_STATE* pState = AfxGetModuleState();
    pState->m_hCurrentInstanceHandle = hInstance != NULL ? hInstance : ::GetModuleHandleA(NULL);
}

HINSTANCE AFXAPI AfxGetResourceHandle()
{
    return AfxGetModuleState()->m_hCurrentResourceHandle;
}

void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource)
{
    AFX_MODULE_STATE* pState = AfxGetModuleState();
    pState->m_hCurrentResourceHandle = hInstResource != NULL ? hInstResource : pState->m_hCurrentInstanceHandle;
}

HINSTANCE AFXAPI AfxFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType)
{
    (void)lpszName;
    (void)lpszType;
    return AfxGetResourceHandle();
}

// CThreadLocalObject

namespace {

struct ThreadEntry
{
    CThreadLocalObject::Impl* pOwner;
    CNoTrackObject* pObject;
};

// The objects a thread created; deleted when the thread ends.
struct ThreadObjects
{
    std::vector<ThreadEntry> entries;
    ~ThreadObjects();
};

thread_local ThreadObjects t_threadObjects;

} // namespace

struct CThreadLocalObject::Impl
{
    DWORD dwSlot;                          // TLS index for quick lookup
    std::vector<CNoTrackObject*> objects;  // live objects of every thread
};

namespace {

ThreadObjects::~ThreadObjects()
{
    std::vector<CNoTrackObject*> toDelete;
    {
        std::lock_guard<std::mutex> lock(LocalDataMutex());
        for (const ThreadEntry& e : entries)
        {
            // An object is deleted here only while its holder still lists it
            // (a destroyed holder has deleted its objects already).
            std::vector<CNoTrackObject*>& v = e.pOwner->objects;
            std::vector<CNoTrackObject*>::iterator it = std::find(v.begin(), v.end(), e.pObject);
            if (it == v.end())
                continue;
            v.erase(it);
            ::TlsSetValue(e.pOwner->dwSlot, NULL);
            toDelete.push_back(e.pObject);
        }
        entries.clear();
    }
    for (CNoTrackObject* p : toDelete)
        delete p;
}

} // namespace

CThreadLocalObject::~CThreadLocalObject()
{
    Impl* pImpl;
    std::vector<CNoTrackObject*> objects;
    {
        std::lock_guard<std::mutex> lock(LocalDataMutex());
        pImpl = m_pImpl;
        m_pImpl = NULL;
        if (pImpl == NULL)
            return;
        // Emptying the list keeps threads that end later from deleting these.
        objects.swap(pImpl->objects);
    }
    for (CNoTrackObject* p : objects)
        delete p;
    ::TlsFree(pImpl->dwSlot);
    // The Impl itself is kept: other threads' lists may still name it.
}

CNoTrackObject* CThreadLocalObject::GetDataNA()
{
    Impl* pImpl = m_pImpl;
    if (pImpl == NULL)
        return NULL;
    return static_cast<CNoTrackObject*>(::TlsGetValue(pImpl->dwSlot));
}

CNoTrackObject* CThreadLocalObject::GetData(CNoTrackObject* (AFXAPI* pfnCreateObject)())
{
    CNoTrackObject* pObject = GetDataNA();
    if (pObject != NULL || pfnCreateObject == NULL)
        return pObject;

    Impl* pImpl;
    {
        std::lock_guard<std::mutex> lock(LocalDataMutex());
        if (m_pImpl == NULL)
        {
            DWORD dwSlot = ::TlsAlloc();
            if (dwSlot == TLS_OUT_OF_INDEXES)
                AfxThrowMemoryException();
            Impl* pNew = new Impl;
            pNew->dwSlot = dwSlot;
            m_pImpl = pNew;
        }
        pImpl = m_pImpl;
    }
    pObject = (*pfnCreateObject)();
    {
        std::lock_guard<std::mutex> lock(LocalDataMutex());
        pImpl->objects.push_back(pObject);
        ThreadEntry entry = { pImpl, pObject };
        t_threadObjects.entries.push_back(entry);
    }
    ::TlsSetValue(pImpl->dwSlot, pObject);
    return pObject;
}

// CProcessLocalObject

CProcessLocalObject::~CProcessLocalObject()
{
    CNoTrackObject* pObject = m_pObject;
    m_pObject = NULL;
    delete pObject;
}

CNoTrackObject* CProcessLocalObject::GetData(CNoTrackObject* (AFXAPI* pfnCreateObject)())
{
    CNoTrackObject* pObject = m_pObject;
    if (pObject != NULL || pfnCreateObject == NULL)
        return pObject;
    std::lock_guard<std::mutex> lock(LocalDataMutex());
    if (m_pObject == NULL)
        m_pObject = (*pfnCreateObject)();
    return m_pObject;
}
