// Per-thread maps from Win32 handles to the C++ objects that wrap them.
//
// Every wrapper family (windows, device contexts, GDI objects, menus, image
// lists) keeps one map per thread with two kinds of entries:
//
//  - permanent entries: objects the program created or attached itself.  The
//    object registers itself (SetPermanent) when it takes a handle and
//    removes itself (RemovePermanent) when it lets it go.
//  - temporary entries: objects made on demand by FromHandle for a handle that
//    has no permanent object.  A temporary wraps the handle without owning it;
//    it belongs to the thread and lives until the thread's next idle pass,
//    when AfxDeleteTempMaps() detaches it (the handle is never destroyed) and
//    deletes it.  Code that needs the object across messages keeps the
//    handle, not the pointer.
//
// How a temporary is built and let go is a policy (the TRAITS parameter), so
// the same map serves every family:
//
//   struct CMyTraits
//   {
//       static CMyObj* CreateTemp(HMYHANDLE h);   // new object, handle set, not mapped
//       static void DetachTemp(CMyObj* p);         // clear the handle, destroy nothing
//       static void DeleteTemp(CMyObj* p);         // usually `delete p`
//       static BOOL IsTempStale(CMyObj* p, HMYHANDLE h); // TRUE: rebuild it
//   };
//
// CHandleMapTraitsBase supplies DeleteTemp and IsTempStale defaults.
//
// Maps are never freed: objects destroyed late in a thread's life (globals
// destroyed at exit) can still remove their entries safely.
#pragma once

#include <afx.h>

#include <unordered_map>
#include <vector>

// Deletes this thread's temporary objects of every handle map.  The idle
// pass calls it (OnIdle with a count of 1 or more); never call it while a
// message is being handled, since handlers may hold temporaries.
void AFXAPI AfxDeleteTempMaps();

// The part of a handle map that AfxDeleteTempMaps sees.
class CHandleMapBase
{
public:
    CHandleMapBase() {}
    virtual ~CHandleMapBase() {}

    // Detaches and deletes every temporary object of this map.
    virtual void DeleteTemp() = 0;
    virtual INT_PTR GetTemporaryCount() const = 0;
    virtual INT_PTR GetPermanentCount() const = 0;

protected:
    // Adds a freshly made map to the calling thread's list.
    static void AFXAPI RegisterThreadMap(CHandleMapBase* pMap);

private:
    CHandleMapBase(const CHandleMapBase&) = delete;
    CHandleMapBase& operator=(const CHandleMapBase&) = delete;
};

template <class HANDLE_T, class OBJ_T>
struct CHandleMapTraitsBase
{
    static void DeleteTemp(OBJ_T* p) { delete p; }
    static BOOL IsTempStale(OBJ_T*, HANDLE_T) { return FALSE; }
};

template <class HANDLE_T, class OBJ_T, class TRAITS>
class CHandleMap : public CHandleMapBase
{
public:
    // The calling thread's map of this kind, made on first use.
    static CHandleMap* GetThreadMap()
    {
        static thread_local CHandleMap* s_pMap = nullptr;
        if (s_pMap == nullptr)
        {
            s_pMap = new CHandleMap;
            RegisterThreadMap(s_pMap);
        }
        return s_pMap;
    }

    // Permanent entries ---------------------------------------------------

    void SetPermanent(HANDLE_T h, OBJ_T* pObject)
    {
        if (h == nullptr || pObject == nullptr)
            return;
        m_permanent[h] = pObject;
        // A temporary for the same handle is now hidden; retire it so that it
        // cannot be handed out again, but keep it alive until the idle pass.
        RetireTemporary(h);
    }

    // Removes the entry of h; with pObject given, only when it maps to that
    // object (two objects briefly sharing a handle must not unmap each other).
    void RemovePermanent(HANDLE_T h, OBJ_T* pObject = nullptr)
    {
        if (h == nullptr)
            return;
        auto it = m_permanent.find(h);
        if (it != m_permanent.end() && (pObject == nullptr || it->second == pObject))
            m_permanent.erase(it);
    }

    OBJ_T* LookupPermanent(HANDLE_T h) const
    {
        if (h == nullptr)
            return nullptr;
        auto it = m_permanent.find(h);
        return it != m_permanent.end() ? it->second : nullptr;
    }

    // Temporary entries ---------------------------------------------------

    OBJ_T* LookupTemporary(HANDLE_T h) const
    {
        if (h == nullptr)
            return nullptr;
        auto it = m_temporary.find(h);
        return it != m_temporary.end() ? it->second : nullptr;
    }

    // The permanent object of h, else its temporary (made now if needed).
    // Returns null for a null handle or when no temporary could be made.
    OBJ_T* FromHandle(HANDLE_T h)
    {
        if (h == nullptr)
            return nullptr;
        if (OBJ_T* p = LookupPermanent(h))
            return p;
        auto it = m_temporary.find(h);
        if (it != m_temporary.end())
        {
            if (!TRAITS::IsTempStale(it->second, h))
                return it->second;
            // The handle was freed and reused for another kind of object.
            m_retired.push_back(it->second);
            m_temporary.erase(it);
        }
        OBJ_T* pTemp = TRAITS::CreateTemp(h);
        if (pTemp != nullptr)
            m_temporary[h] = pTemp;
        return pTemp;
    }

    // Takes h's temporary out of the map (its handle is gone or now has a
    // permanent owner).  The object itself stays valid until the idle pass.
    void RetireTemporary(HANDLE_T h)
    {
        if (h == nullptr)
            return;
        auto it = m_temporary.find(h);
        if (it != m_temporary.end())
        {
            m_retired.push_back(it->second);
            m_temporary.erase(it);
        }
    }

    // Retires the temporary only when it is pObject.
    void RetireTemporary(HANDLE_T h, OBJ_T* pObject)
    {
        if (LookupTemporary(h) == pObject)
            RetireTemporary(h);
    }

    BOOL IsTemporary(const OBJ_T* pObject) const
    {
        for (const auto& entry : m_temporary)
            if (entry.second == pObject)
                return TRUE;
        for (OBJ_T* p : m_retired)
            if (p == pObject)
                return TRUE;
        return FALSE;
    }

    void DeleteTemp() override
    {
        // Swap the lists out first: a destructor that asks for another
        // temporary must not see the entries being deleted.
        std::unordered_map<HANDLE_T, OBJ_T*> temporary;
        temporary.swap(m_temporary);
        std::vector<OBJ_T*> retired;
        retired.swap(m_retired);
        for (auto& entry : temporary)
        {
            TRAITS::DetachTemp(entry.second);
            TRAITS::DeleteTemp(entry.second);
        }
        for (OBJ_T* p : retired)
        {
            TRAITS::DetachTemp(p);
            TRAITS::DeleteTemp(p);
        }
    }

    INT_PTR GetTemporaryCount() const override
    {
        return static_cast<INT_PTR>(m_temporary.size() + m_retired.size());
    }
    INT_PTR GetPermanentCount() const override
    {
        return static_cast<INT_PTR>(m_permanent.size());
    }

private:
    CHandleMap() {}

    std::unordered_map<HANDLE_T, OBJ_T*> m_permanent;
    std::unordered_map<HANDLE_T, OBJ_T*> m_temporary;
    std::vector<OBJ_T*> m_retired;
};
