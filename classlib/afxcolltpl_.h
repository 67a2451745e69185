// afxcolltpl_.h - the collection templates CArray, CList and CMap with their
// element helpers.  Included by afxcoll.h (and so by afxtempl.h).
#ifndef BM_AFXCOLLTPL_H
#define BM_AFXCOLLTPL_H

#include "afx.h"

#include <new>
#include <type_traits>
#include <utility>
#include <memory>

#ifndef BM_POSITION_DEFINED
#define BM_POSITION_DEFINED
// An opaque place in a list or map: the node itself.
struct __POSITION
{
};
typedef __POSITION* POSITION;
#endif

#define BEFORE_START_POSITION ((POSITION)-1L)

// Memory for list nodes and map entries, allocated in blocks that never move.
struct alignas(8) CPlex
{
    CPlex* pNext;

    void* data() { return this + 1; }
    static CPlex* PASCAL Create(CPlex*& pHead, UINT_PTR nMax, UINT_PTR cbElement);
    void FreeDataChain();
};

namespace bm_coll
{
template <class T> struct dependent_false : std::false_type
{
};

// Raw storage for arrays (malloc family, so growing never throws C++ exceptions).
void* AFXAPI AllocElements(UINT_PTR nCount, UINT_PTR cbElement);
void AFXAPI FreeElements(void* p);
}

// Element helpers.  The containers call them, so a type may specialise them.

// Zero-fills, then default-constructs (plain types stay zero).
template <class TYPE>
inline void AFXAPI ConstructElements(TYPE* pElements, INT_PTR nCount)
{
    if (nCount <= 0)
        return;
    memset(static_cast<void*>(pElements), 0, (size_t)nCount * sizeof(TYPE));
    for (; nCount--; pElements++)
        ::new (static_cast<void*>(pElements)) TYPE;
}

template <class TYPE>
inline void AFXAPI DestructElements(TYPE* pElements, INT_PTR nCount)
{
    for (; nCount-- > 0; pElements++)
        pElements->~TYPE();
}

// Copies with operator=.
template <class TYPE>
inline void AFXAPI CopyElements(TYPE* pDest, const TYPE* pSrc, INT_PTR nCount)
{
    while (nCount-- > 0)
        *pDest++ = *pSrc++;
}

template <class TYPE, class ARG_TYPE>
inline BOOL AFXAPI CompareElements(const TYPE* pElement1, const ARG_TYPE* pElement2)
{
    return *pElement1 == *pElement2;
}

// Archive form of elements: plain data bitwise, strings in the string form,
// objects through their Serialize, pointers to objects as object references.
template <class TYPE>
void AFXAPI SerializeElements(CArchive& ar, TYPE* pElements, INT_PTR nCount)
{
    if (nCount <= 0)
        return;
    if constexpr (std::is_same<TYPE, CString>::value)
    {
        for (INT_PTR i = 0; i < nCount; i++)
        {
            if (ar.IsStoring())
                ar << pElements[i];
            else
                ar >> pElements[i];
        }
    }
    else if constexpr (std::is_pointer<TYPE>::value &&
                       std::is_base_of<CObject, typename std::remove_cv<
                                                    typename std::remove_pointer<TYPE>::type>::type>::value)
    {
        typedef typename std::remove_cv<typename std::remove_pointer<TYPE>::type>::type OBJ;
        for (INT_PTR i = 0; i < nCount; i++)
        {
            if (ar.IsStoring())
            {
                ar.WriteObject(pElements[i]);
            }
            else
            {
                CObject* pOb = ar.ReadObject(NULL);
                OBJ* pTyped = dynamic_cast<OBJ*>(pOb);
                if (pOb != NULL && pTyped == NULL)
                    AfxThrowArchiveException(CArchiveException::badClass, ar.m_strFileName);
                pElements[i] = pTyped;
            }
        }
    }
    else if constexpr (std::is_base_of<CObject, TYPE>::value)
    {
        for (INT_PTR i = 0; i < nCount; i++)
            pElements[i].Serialize(ar);
    }
    else if constexpr (std::is_trivially_copyable<TYPE>::value)
    {
        BYTE* pData = reinterpret_cast<BYTE*>(pElements);
        UINT_PTR nBytesLeft = (UINT_PTR)nCount * sizeof(TYPE);
        while (nBytesLeft > 0)
        {
            UINT nChunk = nBytesLeft > (UINT_PTR)(INT_MAX / 2) ? (UINT)(INT_MAX / 2) : (UINT)nBytesLeft;
            if (ar.IsStoring())
                ar.Write(pData, nChunk);
            else
                ar.EnsureRead(pData, nChunk);
            pData += nChunk;
            nBytesLeft -= nChunk;
        }
    }
    else
    {
        static_assert(bm_coll::dependent_false<TYPE>::value,
                      "SerializeElements needs a specialisation for this element type");
    }
}

// Smallest number of archive bytes one element takes (0: unknown), used to
// check a stored count against the bytes left before allocating.
template <class TYPE>
inline UINT_PTR AfxMinArchivedElementSize()
{
    if constexpr (std::is_same<TYPE, CString>::value)
        return 1;
    else if constexpr (std::is_pointer<TYPE>::value &&
                       std::is_base_of<CObject, typename std::remove_cv<
                                                    typename std::remove_pointer<TYPE>::type>::type>::value)
        return 2;
    else if constexpr (std::is_base_of<CObject, TYPE>::value)
        return 0;
    else if constexpr (std::is_trivially_copyable<TYPE>::value)
        return sizeof(TYPE);
    else
        return 0;
}

template <class TYPE>
inline void AFXAPI DumpElements(CDumpContext& dc, const TYPE* pElements, INT_PTR nCount)
{
    (void)dc;
    (void)pElements;
    (void)nCount;
}

// Hash values for map keys.
UINT AFXAPI AfxHashString(LPCSTR key);

template <class ARG_KEY>
inline UINT AFXAPI HashKey(ARG_KEY key)
{
    typedef typename std::remove_cv<typename std::remove_reference<ARG_KEY>::type>::type K;
    if constexpr (std::is_same<K, CString>::value)
        return AfxHashString(key);
    else if constexpr (std::is_same<K, LPCSTR>::value || std::is_same<K, LPSTR>::value)
        return AfxHashString(key);
    else if constexpr (std::is_pointer<K>::value)
        return (UINT)(((UINT_PTR)(const void*)key) >> 4);
    else if constexpr (std::is_integral<K>::value || std::is_enum<K>::value)
    {
        unsigned long long v = (unsigned long long)key;
        v ^= v >> 33;
        v *= 0xff51afd7ed558ccdULL;
        v ^= v >> 33;
        return (UINT)v;
    }
    else
    {
        static_assert(bm_coll::dependent_false<ARG_KEY>::value, "HashKey needs a specialisation for this key type");
        return 0;
    }
}

/////////////////////////////////////////////////////////////////////////////
// CArray<TYPE, ARG_TYPE>: a growable array.  Indexes out of range throw
// CInvalidArgException; InsertAt at or past the end grows the array and
// fills the gap with default (zero) elements.

template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray : public CObject
{
public:
    CArray() : m_pData(NULL), m_nSize(0), m_nMaxSize(0), m_nGrowBy(0) {}
    virtual ~CArray();

    INT_PTR GetSize() const { return m_nSize; }
    INT_PTR GetCount() const { return m_nSize; }
    BOOL IsEmpty() const { return m_nSize == 0; }
    INT_PTR GetUpperBound() const { return m_nSize - 1; }
    void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1);

    void FreeExtra();
    void RemoveAll() { SetSize(0, -1); }

    const TYPE& GetAt(INT_PTR nIndex) const { CheckIndex(nIndex); return m_pData[nIndex]; }
    TYPE& GetAt(INT_PTR nIndex) { CheckIndex(nIndex); return m_pData[nIndex]; }
    void SetAt(INT_PTR nIndex, ARG_TYPE newElement) { CheckIndex(nIndex); m_pData[nIndex] = newElement; }
    const TYPE& ElementAt(INT_PTR nIndex) const { CheckIndex(nIndex); return m_pData[nIndex]; }
    TYPE& ElementAt(INT_PTR nIndex) { CheckIndex(nIndex); return m_pData[nIndex]; }

    const TYPE* GetData() const { return m_pData; }
    TYPE* GetData() { return m_pData; }

    void SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement);
    INT_PTR Add(ARG_TYPE newElement)
    {
        INT_PTR nIndex = m_nSize;
        SetAtGrow(nIndex, newElement);
        return nIndex;
    }
    INT_PTR Append(const CArray& src);
    void Copy(const CArray& src);

    const TYPE& operator[](INT_PTR nIndex) const { return GetAt(nIndex); }
    TYPE& operator[](INT_PTR nIndex) { return ElementAt(nIndex); }

    void InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount = 1);
    void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1);
    void InsertAt(INT_PTR nStartIndex, CArray* pNewArray);

    virtual void Serialize(CArchive& ar);

    CArray(const CArray&) = delete;
    CArray& operator=(const CArray&) = delete;

protected:
    TYPE* m_pData;
    INT_PTR m_nSize;
    INT_PTR m_nMaxSize;
    INT_PTR m_nGrowBy;

    void CheckIndex(INT_PTR nIndex) const
    {
        if (nIndex < 0 || nIndex >= m_nSize)
            AfxThrowInvalidArgException();
    }
    // Index of the element that an argument refers to, or -1.  Only an
    // argument passed by reference can be one of our own elements.
    INT_PTR IndexOf(const void* p) const
    {
        if constexpr (!std::is_reference<ARG_TYPE>::value)
        {
            (void)p;
            return -1;
        }
        else
        {
            // Compared as numbers: the argument may be any object at all.
            UINT_PTR nArg = reinterpret_cast<UINT_PTR>(p);
            UINT_PTR nStart = reinterpret_cast<UINT_PTR>(m_pData);
            if (m_pData == NULL || nArg < nStart || nArg - nStart >= (UINT_PTR)m_nSize * sizeof(TYPE))
                return -1;
            return (INT_PTR)((nArg - nStart) / sizeof(TYPE));
        }
    }
    void Reallocate(INT_PTR nNewMax);
};

template <class TYPE, class ARG_TYPE>
CArray<TYPE, ARG_TYPE>::~CArray()
{
    if (m_pData != NULL)
    {
        DestructElements<TYPE>(m_pData, m_nSize);
        bm_coll::FreeElements(m_pData);
    }
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::Reallocate(INT_PTR nNewMax)
{
    TYPE* pNewData = static_cast<TYPE*>(bm_coll::AllocElements((UINT_PTR)nNewMax, sizeof(TYPE)));
    if (m_pData != NULL)
    {
        if constexpr (std::is_trivially_copyable<TYPE>::value)
        {
            memcpy(static_cast<void*>(pNewData), static_cast<const void*>(m_pData), m_nSize * sizeof(TYPE));
        }
        else if constexpr (std::is_nothrow_move_constructible<TYPE>::value)
        {
            for (INT_PTR i = 0; i < m_nSize; i++)
            {
                ::new (static_cast<void*>(pNewData + i)) TYPE(std::move(m_pData[i]));
                m_pData[i].~TYPE();
            }
        }
        else
        {
            // Elements that are only assignable (the usual case for objects).
            try
            {
                ConstructElements<TYPE>(pNewData, m_nSize);
                for (INT_PTR i = 0; i < m_nSize; i++)
                    pNewData[i] = m_pData[i];
            }
            catch (...)
            {
                bm_coll::FreeElements(pNewData);
                throw;
            }
            DestructElements<TYPE>(m_pData, m_nSize);
        }
        bm_coll::FreeElements(m_pData);
    }
    m_pData = pNewData;
    m_nMaxSize = nNewMax;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::SetSize(INT_PTR nNewSize, INT_PTR nGrowBy)
{
    if (nNewSize < 0)
        AfxThrowInvalidArgException();
    if (nGrowBy >= 0)
        m_nGrowBy = nGrowBy;

    if (nNewSize == 0)
    {
        if (m_pData != NULL)
        {
            DestructElements<TYPE>(m_pData, m_nSize);
            bm_coll::FreeElements(m_pData);
            m_pData = NULL;
        }
        m_nSize = m_nMaxSize = 0;
    }
    else if (m_pData == NULL)
    {
        m_pData = static_cast<TYPE*>(bm_coll::AllocElements((UINT_PTR)nNewSize, sizeof(TYPE)));
        try
        {
            ConstructElements<TYPE>(m_pData, nNewSize);
        }
        catch (...)
        {
            bm_coll::FreeElements(m_pData);
            m_pData = NULL;
            throw;
        }
        m_nSize = m_nMaxSize = nNewSize;
    }
    else if (nNewSize <= m_nMaxSize)
    {
        if (nNewSize > m_nSize)
            ConstructElements<TYPE>(m_pData + m_nSize, nNewSize - m_nSize);
        else if (m_nSize > nNewSize)
            DestructElements<TYPE>(m_pData + nNewSize, m_nSize - nNewSize);
        m_nSize = nNewSize;
    }
    else
    {
        INT_PTR nGrowArrayBy = m_nGrowBy;
        if (nGrowArrayBy == 0)
        {
            // Grow by 1/8 of the size, at least 4 and at most 1024 elements.
            nGrowArrayBy = m_nSize / 8;
            nGrowArrayBy = (nGrowArrayBy < 4) ? 4 : ((nGrowArrayBy > 1024) ? 1024 : nGrowArrayBy);
        }
        INT_PTR nNewMax = (nNewSize < m_nMaxSize + nGrowArrayBy) ? m_nMaxSize + nGrowArrayBy : nNewSize;
        Reallocate(nNewMax);
        ConstructElements<TYPE>(m_pData + m_nSize, nNewSize - m_nSize);
        m_nSize = nNewSize;
    }
}

template <class TYPE, class ARG_TYPE>
INT_PTR CArray<TYPE, ARG_TYPE>::Append(const CArray& src)
{
    INT_PTR nOldSize = m_nSize;
    INT_PTR nSrcSize = src.m_nSize;
    SetSize(m_nSize + nSrcSize);
    // src may be this array: read its data after the resize.
    CopyElements<TYPE>(m_pData + nOldSize, src.m_pData, nSrcSize);
    return nOldSize;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::Copy(const CArray& src)
{
    if (this == &src)
        return;
    SetSize(src.m_nSize);
    CopyElements<TYPE>(m_pData, src.m_pData, src.m_nSize);
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::FreeExtra()
{
    if (m_nSize == m_nMaxSize)
        return;
    if (m_nSize == 0)
    {
        SetSize(0, -1);
        return;
    }
    Reallocate(m_nSize);
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement)
{
    if (nIndex < 0)
        AfxThrowInvalidArgException();
    if (nIndex < m_nSize)
    {
        m_pData[nIndex] = newElement;
        return;
    }
    // The new element may be one of ours: find it again after growing.
    INT_PTR nAlias = IndexOf(std::addressof(newElement));
    if (nAlias < 0)
    {
        SetSize(nIndex + 1, -1);
        m_pData[nIndex] = newElement;
    }
    else
    {
        SetSize(nIndex + 1, -1);
        m_pData[nIndex] = m_pData[nAlias];
    }
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount)
{
    if (nIndex < 0 || nCount <= 0)
        AfxThrowInvalidArgException();
    INT_PTR nAlias = IndexOf(std::addressof(newElement));
    if (nIndex >= m_nSize)
    {
        // At or past the end: grow, filling any gap with default elements.
        SetSize(nIndex + nCount, -1);
    }
    else
    {
        INT_PTR nOldSize = m_nSize;
        SetSize(m_nSize + nCount, -1);
        for (INT_PTR i = nOldSize - 1; i >= nIndex; i--)
            m_pData[i + nCount] = m_pData[i];
        if (nAlias >= nIndex)
            nAlias += nCount;
    }
    if (nAlias < 0)
    {
        for (INT_PTR i = 0; i < nCount; i++)
            m_pData[nIndex + i] = newElement;
    }
    else
    {
        for (INT_PTR i = 0; i < nCount; i++)
        {
            if (nIndex + i != nAlias)
                m_pData[nIndex + i] = m_pData[nAlias];
        }
    }
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::RemoveAt(INT_PTR nIndex, INT_PTR nCount)
{
    if (nIndex < 0 || nCount < 0 || nIndex >= m_nSize || nCount > m_nSize - nIndex)
        AfxThrowInvalidArgException();
    if (nCount == 0)
        return;
    for (INT_PTR i = nIndex; i + nCount < m_nSize; i++)
        m_pData[i] = m_pData[i + nCount];
    DestructElements<TYPE>(m_pData + m_nSize - nCount, nCount);
    m_nSize -= nCount;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::InsertAt(INT_PTR nStartIndex, CArray* pNewArray)
{
    if (pNewArray == NULL || nStartIndex < 0)
        AfxThrowInvalidArgException();
    if (pNewArray->GetSize() == 0)
        return;
    if (pNewArray == this)
    {
        // Inserting an array into itself: insert a copy.
        CArray copy;
        copy.Copy(*this);
        InsertAt(nStartIndex, &copy);
        return;
    }
    InsertAt(nStartIndex, pNewArray->GetAt(0), pNewArray->GetSize());
    for (INT_PTR i = 0; i < pNewArray->GetSize(); i++)
        SetAt(nStartIndex + i, pNewArray->GetAt(i));
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    if (ar.IsStoring())
    {
        ar.WriteCount((DWORD_PTR)m_nSize);
    }
    else
    {
        DWORD_PTR nOldSize = ar.ReadCount();
        ar.CheckCount(nOldSize, AfxMinArchivedElementSize<TYPE>());
        if (nOldSize > (DWORD_PTR)(INT_MAX / (sizeof(TYPE) + 1)))
            AfxThrowArchiveException(CArchiveException::endOfFile, ar.m_strFileName);
        // Room is made as the elements arrive (all at once when the file's
        // length vouches for the count).
        INT_PTR nDone = 0;
        do
        {
            INT_PTR nStep = (INT_PTR)ar.GetLoadStep(nDone, nOldSize - nDone, sizeof(TYPE));
            SetSize(nDone + nStep, -1);
            SerializeElements<TYPE>(ar, m_pData + nDone, nStep);
            nDone += nStep;
        } while (nDone < (INT_PTR)nOldSize);
        return;
    }
    SerializeElements<TYPE>(ar, m_pData, m_nSize);
}

/////////////////////////////////////////////////////////////////////////////
// CList<TYPE, ARG_TYPE>: a doubly linked list.  A POSITION is its node and
// stays valid while other nodes are added and removed; freed nodes are
// reused (blocks of 10 by default), so a POSITION of a removed node must be
// forgotten by whoever held it.

template <class TYPE, class ARG_TYPE = const TYPE&>
class CList : public CObject
{
protected:
    struct CNode
    {
        CNode* pNext;
        CNode* pPrev;
        TYPE data;
    };

public:
    explicit CList(INT_PTR nBlockSize = 10);
    virtual ~CList();

    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    TYPE& GetHead() { CheckNotEmpty(); return m_pNodeHead->data; }
    const TYPE& GetHead() const { CheckNotEmpty(); return m_pNodeHead->data; }
    TYPE& GetTail() { CheckNotEmpty(); return m_pNodeTail->data; }
    const TYPE& GetTail() const { CheckNotEmpty(); return m_pNodeTail->data; }

    TYPE RemoveHead();
    TYPE RemoveTail();

    POSITION AddHead(ARG_TYPE newElement);
    POSITION AddTail(ARG_TYPE newElement);
    void AddHead(CList* pNewList);
    void AddTail(CList* pNewList);
    void RemoveAll();

    POSITION GetHeadPosition() const { return (POSITION)m_pNodeHead; }
    POSITION GetTailPosition() const { return (POSITION)m_pNodeTail; }
    TYPE& GetNext(POSITION& rPosition)
    {
        CNode* pNode = NodeOf(rPosition);
        rPosition = (POSITION)pNode->pNext;
        return pNode->data;
    }
    const TYPE& GetNext(POSITION& rPosition) const
    {
        CNode* pNode = NodeOf(rPosition);
        rPosition = (POSITION)pNode->pNext;
        return pNode->data;
    }
    TYPE& GetPrev(POSITION& rPosition)
    {
        CNode* pNode = NodeOf(rPosition);
        rPosition = (POSITION)pNode->pPrev;
        return pNode->data;
    }
    const TYPE& GetPrev(POSITION& rPosition) const
    {
        CNode* pNode = NodeOf(rPosition);
        rPosition = (POSITION)pNode->pPrev;
        return pNode->data;
    }

    TYPE& GetAt(POSITION position) { return NodeOf(position)->data; }
    const TYPE& GetAt(POSITION position) const { return NodeOf(position)->data; }
    void SetAt(POSITION pos, ARG_TYPE newElement) { NodeOf(pos)->data = newElement; }
    void RemoveAt(POSITION position);

    POSITION InsertBefore(POSITION position, ARG_TYPE newElement);
    POSITION InsertAfter(POSITION position, ARG_TYPE newElement);

    POSITION Find(ARG_TYPE searchValue, POSITION startAfter = NULL) const;
    POSITION FindIndex(INT_PTR nIndex) const;

    virtual void Serialize(CArchive& ar);

    CList(const CList&) = delete;
    CList& operator=(const CList&) = delete;

protected:
    CNode* m_pNodeHead;
    CNode* m_pNodeTail;
    INT_PTR m_nCount;
    CNode* m_pNodeFree;
    CPlex* m_pBlocks;
    INT_PTR m_nBlockSize;

    CNode* NewNode(CNode* pPrev, CNode* pNext);
    void FreeNode(CNode* pNode);
    void CheckNotEmpty() const
    {
        if (m_pNodeHead == NULL)
            AfxThrowInvalidArgException();
    }
    static CNode* NodeOf(POSITION position)
    {
        if (position == NULL || position == BEFORE_START_POSITION)
            AfxThrowInvalidArgException();
        return reinterpret_cast<CNode*>(position);
    }
};

template <class TYPE, class ARG_TYPE>
CList<TYPE, ARG_TYPE>::CList(INT_PTR nBlockSize)
    : m_pNodeHead(NULL), m_pNodeTail(NULL), m_nCount(0), m_pNodeFree(NULL), m_pBlocks(NULL),
      m_nBlockSize(nBlockSize > 0 ? nBlockSize : 10)
{
}

template <class TYPE, class ARG_TYPE>
CList<TYPE, ARG_TYPE>::~CList()
{
    RemoveAll();
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::RemoveAll()
{
    for (CNode* pNode = m_pNodeHead; pNode != NULL; pNode = pNode->pNext)
        DestructElements<TYPE>(&pNode->data, 1);
    m_nCount = 0;
    m_pNodeHead = m_pNodeTail = m_pNodeFree = NULL;
    if (m_pBlocks != NULL)
        m_pBlocks->FreeDataChain();
    m_pBlocks = NULL;
}

template <class TYPE, class ARG_TYPE>
typename CList<TYPE, ARG_TYPE>::CNode* CList<TYPE, ARG_TYPE>::NewNode(CNode* pPrev, CNode* pNext)
{
    if (m_pNodeFree == NULL)
    {
        // A new block; its nodes go on the free list, first node on top.
        CPlex* pNewBlock = CPlex::Create(m_pBlocks, (UINT_PTR)m_nBlockSize, sizeof(CNode));
        CNode* pNode = static_cast<CNode*>(pNewBlock->data());
        pNode += m_nBlockSize - 1;
        for (INT_PTR i = m_nBlockSize - 1; i >= 0; i--, pNode--)
        {
            pNode->pNext = m_pNodeFree;
            m_pNodeFree = pNode;
        }
    }
    CNode* pNode = m_pNodeFree;
    ConstructElements<TYPE>(&pNode->data, 1);
    m_pNodeFree = m_pNodeFree->pNext;
    pNode->pPrev = pPrev;
    pNode->pNext = pNext;
    m_nCount++;
    return pNode;
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::FreeNode(CNode* pNode)
{
    DestructElements<TYPE>(&pNode->data, 1);
    pNode->pNext = m_pNodeFree;
    m_pNodeFree = pNode;
    m_nCount--;
    if (m_nCount == 0)
        RemoveAll();
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::AddHead(ARG_TYPE newElement)
{
    CNode* pNewNode = NewNode(NULL, m_pNodeHead);
    try
    {
        pNewNode->data = newElement;
    }
    catch (...)
    {
        FreeNode(pNewNode);
        throw;
    }
    if (m_pNodeHead != NULL)
        m_pNodeHead->pPrev = pNewNode;
    else
        m_pNodeTail = pNewNode;
    m_pNodeHead = pNewNode;
    return (POSITION)pNewNode;
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::AddTail(ARG_TYPE newElement)
{
    CNode* pNewNode = NewNode(m_pNodeTail, NULL);
    try
    {
        pNewNode->data = newElement;
    }
    catch (...)
    {
        FreeNode(pNewNode);
        throw;
    }
    if (m_pNodeTail != NULL)
        m_pNodeTail->pNext = pNewNode;
    else
        m_pNodeHead = pNewNode;
    m_pNodeTail = pNewNode;
    return (POSITION)pNewNode;
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::AddHead(CList* pNewList)
{
    if (pNewList == NULL)
        AfxThrowInvalidArgException();
    // Walk backwards, adding each to the head; count first so that adding a
    // list to itself ends.
    INT_PTR n = pNewList->GetCount();
    POSITION pos = pNewList->GetTailPosition();
    while (pos != NULL && n-- > 0)
        AddHead(pNewList->GetPrev(pos));
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::AddTail(CList* pNewList)
{
    if (pNewList == NULL)
        AfxThrowInvalidArgException();
    INT_PTR n = pNewList->GetCount();
    POSITION pos = pNewList->GetHeadPosition();
    while (pos != NULL && n-- > 0)
        AddTail(pNewList->GetNext(pos));
}

template <class TYPE, class ARG_TYPE>
TYPE CList<TYPE, ARG_TYPE>::RemoveHead()
{
    CheckNotEmpty();
    CNode* pOldNode = m_pNodeHead;
    TYPE returnValue(pOldNode->data);
    m_pNodeHead = pOldNode->pNext;
    if (m_pNodeHead != NULL)
        m_pNodeHead->pPrev = NULL;
    else
        m_pNodeTail = NULL;
    FreeNode(pOldNode);
    return returnValue;
}

template <class TYPE, class ARG_TYPE>
TYPE CList<TYPE, ARG_TYPE>::RemoveTail()
{
    CheckNotEmpty();
    CNode* pOldNode = m_pNodeTail;
    TYPE returnValue(pOldNode->data);
    m_pNodeTail = pOldNode->pPrev;
    if (m_pNodeTail != NULL)
        m_pNodeTail->pNext = NULL;
    else
        m_pNodeHead = NULL;
    FreeNode(pOldNode);
    return returnValue;
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::InsertBefore(POSITION position, ARG_TYPE newElement)
{
    if (position == NULL)
        return AddHead(newElement);
    CNode* pOldNode = NodeOf(position);
    CNode* pNewNode = NewNode(pOldNode->pPrev, pOldNode);
    try
    {
        pNewNode->data = newElement;
    }
    catch (...)
    {
        FreeNode(pNewNode);
        throw;
    }
    if (pOldNode->pPrev != NULL)
        pOldNode->pPrev->pNext = pNewNode;
    else
        m_pNodeHead = pNewNode;
    pOldNode->pPrev = pNewNode;
    return (POSITION)pNewNode;
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::InsertAfter(POSITION position, ARG_TYPE newElement)
{
    if (position == NULL)
        return AddTail(newElement);
    CNode* pOldNode = NodeOf(position);
    CNode* pNewNode = NewNode(pOldNode, pOldNode->pNext);
    try
    {
        pNewNode->data = newElement;
    }
    catch (...)
    {
        FreeNode(pNewNode);
        throw;
    }
    if (pOldNode->pNext != NULL)
        pOldNode->pNext->pPrev = pNewNode;
    else
        m_pNodeTail = pNewNode;
    pOldNode->pNext = pNewNode;
    return (POSITION)pNewNode;
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::RemoveAt(POSITION position)
{
    CNode* pOldNode = NodeOf(position);
    if (pOldNode == m_pNodeHead)
        m_pNodeHead = pOldNode->pNext;
    else
        pOldNode->pPrev->pNext = pOldNode->pNext;
    if (pOldNode == m_pNodeTail)
        m_pNodeTail = pOldNode->pPrev;
    else
        pOldNode->pNext->pPrev = pOldNode->pPrev;
    FreeNode(pOldNode);
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::FindIndex(INT_PTR nIndex) const
{
    if (nIndex < 0 || nIndex >= m_nCount)
        return NULL;
    CNode* pNode = m_pNodeHead;
    while (nIndex--)
        pNode = pNode->pNext;
    return (POSITION)pNode;
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::Find(ARG_TYPE searchValue, POSITION startAfter) const
{
    CNode* pNode = startAfter == NULL ? m_pNodeHead : NodeOf(startAfter)->pNext;
    for (; pNode != NULL; pNode = pNode->pNext)
    {
        if (CompareElements<TYPE>(&pNode->data, &searchValue))
            return (POSITION)pNode;
    }
    return NULL;
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    if (ar.IsStoring())
    {
        ar.WriteCount((DWORD_PTR)m_nCount);
        for (CNode* pNode = m_pNodeHead; pNode != NULL; pNode = pNode->pNext)
            SerializeElements<TYPE>(ar, &pNode->data, 1);
    }
    else
    {
        DWORD_PTR nNewCount = ar.ReadCount();
        ar.CheckCount(nNewCount, AfxMinArchivedElementSize<TYPE>());
        while (nNewCount--)
        {
            CNode* pNewNode = NewNode(m_pNodeTail, NULL);
            // Linked first, so that a failed read leaves a consistent list.
            if (m_pNodeTail != NULL)
                m_pNodeTail->pNext = pNewNode;
            else
                m_pNodeHead = pNewNode;
            m_pNodeTail = pNewNode;
            SerializeElements<TYPE>(ar, &pNewNode->data, 1);
        }
    }
}

/////////////////////////////////////////////////////////////////////////////
// CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>: a hash map.  Call InitHashTable
// before the first insert to choose the table size (17 by default).
// Iteration has no set order; removing the entry just returned by
// GetNextAssoc keeps the iteration valid.

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
class CMap : public CObject
{
public:
    class CPair
    {
    public:
        const KEY key;
        VALUE value;

    protected:
        explicit CPair(ARG_KEY keyval) : key(keyval), value() {}
    };

protected:
    class CAssoc : public CPair
    {
        friend class CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>;
        CAssoc* pNext;
        UINT nHashValue;

    public:
        explicit CAssoc(ARG_KEY key) : CPair(key), pNext(NULL), nHashValue(0) {}
    };

public:
    typedef KEY BASE_KEY;
    typedef ARG_KEY BASE_ARG_KEY;
    typedef VALUE BASE_VALUE;
    typedef ARG_VALUE BASE_ARG_VALUE;

    explicit CMap(INT_PTR nBlockSize = 10);
    virtual ~CMap();

    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    BOOL Lookup(ARG_KEY key, VALUE& rValue) const;
    const CPair* PLookup(ARG_KEY key) const;
    CPair* PLookup(ARG_KEY key);

    VALUE& operator[](ARG_KEY key);
    void SetAt(ARG_KEY key, ARG_VALUE newValue) { (*this)[key] = newValue; }
    BOOL RemoveKey(ARG_KEY key);
    void RemoveAll();

    POSITION GetStartPosition() const { return m_nCount == 0 ? NULL : BEFORE_START_POSITION; }
    void GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const;
    const CPair* PGetFirstAssoc() const;
    CPair* PGetFirstAssoc();
    const CPair* PGetNextAssoc(const CPair* pAssocRet) const;
    CPair* PGetNextAssoc(const CPair* pAssocRet);

    UINT GetHashTableSize() const { return m_nHashTableSize; }
    // Sets the number of buckets; entries already present are rehashed.
    void InitHashTable(UINT nHashSize, BOOL bAllocNow = TRUE);

    virtual void Serialize(CArchive& ar);

    CMap(const CMap&) = delete;
    CMap& operator=(const CMap&) = delete;

protected:
    CAssoc** m_pHashTable;
    UINT m_nHashTableSize;
    INT_PTR m_nCount;
    CAssoc* m_pFreeList;
    CPlex* m_pBlocks;
    INT_PTR m_nBlockSize;

    CAssoc* NewAssoc(ARG_KEY key);
    void FreeAssoc(CAssoc* pAssoc);
    CAssoc* GetAssocAt(ARG_KEY key, UINT& nHashBucket, UINT& nHashValue) const;
    CAssoc* NextAssoc(const CAssoc* pAssoc) const;
    CAssoc* FirstAssoc() const;
    void AllocTable(UINT nHashSize);
};

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::CMap(INT_PTR nBlockSize)
    : m_pHashTable(NULL), m_nHashTableSize(17), m_nCount(0), m_pFreeList(NULL), m_pBlocks(NULL),
      m_nBlockSize(nBlockSize > 0 ? nBlockSize : 10)
{
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::~CMap()
{
    RemoveAll();
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::AllocTable(UINT nHashSize)
{
    CAssoc** pTable = static_cast<CAssoc**>(bm_coll::AllocElements(nHashSize, sizeof(CAssoc*)));
    memset(pTable, 0, sizeof(CAssoc*) * nHashSize);
    m_pHashTable = pTable;
    m_nHashTableSize = nHashSize;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::InitHashTable(UINT nHashSize, BOOL bAllocNow)
{
    if (nHashSize == 0)
        AfxThrowInvalidArgException();
    if (m_nCount > 0)
    {
        // Rehash what is there rather than losing it.
        CAssoc** pOldTable = m_pHashTable;
        UINT nOldSize = m_nHashTableSize;
        AllocTable(nHashSize);
        for (UINT nBucket = 0; nBucket < nOldSize; nBucket++)
        {
            CAssoc* pAssoc = pOldTable[nBucket];
            while (pAssoc != NULL)
            {
                CAssoc* pNext = pAssoc->pNext;
                UINT nNewBucket = pAssoc->nHashValue % nHashSize;
                pAssoc->pNext = m_pHashTable[nNewBucket];
                m_pHashTable[nNewBucket] = pAssoc;
                pAssoc = pNext;
            }
        }
        bm_coll::FreeElements(pOldTable);
        return;
    }
    if (m_pHashTable != NULL)
    {
        bm_coll::FreeElements(m_pHashTable);
        m_pHashTable = NULL;
    }
    if (bAllocNow)
        AllocTable(nHashSize);
    m_nHashTableSize = nHashSize;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::RemoveAll()
{
    if (m_pHashTable != NULL)
    {
        for (UINT nHash = 0; nHash < m_nHashTableSize; nHash++)
        {
            CAssoc* pAssoc = m_pHashTable[nHash];
            while (pAssoc != NULL)
            {
                CAssoc* pNext = pAssoc->pNext;
                pAssoc->CAssoc::~CAssoc();
                pAssoc = pNext;
            }
        }
        bm_coll::FreeElements(m_pHashTable);
        m_pHashTable = NULL;
    }
    m_nCount = 0;
    m_pFreeList = NULL;
    if (m_pBlocks != NULL)
        m_pBlocks->FreeDataChain();
    m_pBlocks = NULL;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
typename CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::CAssoc* CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::NewAssoc(ARG_KEY key)
{
    if (m_pFreeList == NULL)
    {
        CPlex* newBlock = CPlex::Create(m_pBlocks, (UINT_PTR)m_nBlockSize, sizeof(CAssoc));
        CAssoc* pAssoc = static_cast<CAssoc*>(newBlock->data());
        pAssoc += m_nBlockSize - 1;
        for (INT_PTR i = m_nBlockSize - 1; i >= 0; i--, pAssoc--)
        {
            pAssoc->pNext = m_pFreeList;
            m_pFreeList = pAssoc;
        }
    }
    CAssoc* pAssoc = m_pFreeList;
    CAssoc* pNextFree = pAssoc->pNext;
    ::new (static_cast<void*>(pAssoc)) CAssoc(key);
    m_pFreeList = pNextFree;
    m_nCount++;
    return pAssoc;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::FreeAssoc(CAssoc* pAssoc)
{
    pAssoc->CAssoc::~CAssoc();
    pAssoc->pNext = m_pFreeList;
    m_pFreeList = pAssoc;
    m_nCount--;
    if (m_nCount == 0)
        RemoveAll();
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
typename CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::CAssoc*
CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::GetAssocAt(ARG_KEY key, UINT& nHashBucket, UINT& nHashValue) const
{
    nHashValue = HashKey<ARG_KEY>(key);
    nHashBucket = nHashValue % m_nHashTableSize;
    if (m_pHashTable == NULL)
        return NULL;
    for (CAssoc* pAssoc = m_pHashTable[nHashBucket]; pAssoc != NULL; pAssoc = pAssoc->pNext)
    {
        if (pAssoc->nHashValue == nHashValue && CompareElements(&pAssoc->key, &key))
            return pAssoc;
    }
    return NULL;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
BOOL CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::Lookup(ARG_KEY key, VALUE& rValue) const
{
    UINT nHashBucket, nHashValue;
    CAssoc* pAssoc = GetAssocAt(key, nHashBucket, nHashValue);
    if (pAssoc == NULL)
        return FALSE;
    rValue = pAssoc->value;
    return TRUE;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
const typename CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::CPair*
CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::PLookup(ARG_KEY key) const
{
    UINT nHashBucket, nHashValue;
    return GetAssocAt(key, nHashBucket, nHashValue);
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
typename CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::CPair* CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::PLookup(ARG_KEY key)
{
    UINT nHashBucket, nHashValue;
    return GetAssocAt(key, nHashBucket, nHashValue);
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
VALUE& CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::operator[](ARG_KEY key)
{
    UINT nHashBucket, nHashValue;
    CAssoc* pAssoc = GetAssocAt(key, nHashBucket, nHashValue);
    if (pAssoc == NULL)
    {
        if (m_pHashTable == NULL)
            AllocTable(m_nHashTableSize);
        pAssoc = NewAssoc(key);
        pAssoc->nHashValue = nHashValue;
        pAssoc->pNext = m_pHashTable[nHashBucket];
        m_pHashTable[nHashBucket] = pAssoc;
    }
    return pAssoc->value;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
BOOL CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::RemoveKey(ARG_KEY key)
{
    if (m_pHashTable == NULL)
        return FALSE;
    UINT nHashValue = HashKey<ARG_KEY>(key);
    CAssoc** ppAssocPrev = &m_pHashTable[nHashValue % m_nHashTableSize];
    for (CAssoc* pAssoc = *ppAssocPrev; pAssoc != NULL; pAssoc = pAssoc->pNext)
    {
        if (pAssoc->nHashValue == nHashValue && CompareElements(&pAssoc->key, &key))
        {
            *ppAssocPrev = pAssoc->pNext;
            FreeAssoc(pAssoc);
            return TRUE;
        }
        ppAssocPrev = &pAssoc->pNext;
    }
    return FALSE;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
typename CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::CAssoc* CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::FirstAssoc() const
{
    if (m_pHashTable == NULL || m_nCount == 0)
        return NULL;
    for (UINT nBucket = 0; nBucket < m_nHashTableSize; nBucket++)
    {
        if (m_pHashTable[nBucket] != NULL)
            return m_pHashTable[nBucket];
    }
    return NULL;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
typename CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::CAssoc*
CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::NextAssoc(const CAssoc* pAssoc) const
{
    if (pAssoc->pNext != NULL)
        return pAssoc->pNext;
    for (UINT nBucket = pAssoc->nHashValue % m_nHashTableSize + 1; nBucket < m_nHashTableSize; nBucket++)
    {
        if (m_pHashTable[nBucket] != NULL)
            return m_pHashTable[nBucket];
    }
    return NULL;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const
{
    if (rNextPosition == NULL || m_pHashTable == NULL)
        AfxThrowInvalidArgException();
    CAssoc* pAssocRet = (CAssoc*)rNextPosition;
    if (rNextPosition == BEFORE_START_POSITION)
    {
        pAssocRet = FirstAssoc();
        if (pAssocRet == NULL)
            AfxThrowInvalidArgException();
    }
    // The next position is fixed now, so the caller may remove this entry.
    rNextPosition = (POSITION)NextAssoc(pAssocRet);
    rKey = pAssocRet->key;
    rValue = pAssocRet->value;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
const typename CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::CPair*
CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::PGetFirstAssoc() const
{
    return FirstAssoc();
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
typename CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::CPair* CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::PGetFirstAssoc()
{
    return FirstAssoc();
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
const typename CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::CPair*
CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::PGetNextAssoc(const CPair* pPairRet) const
{
    if (pPairRet == NULL)
        return NULL;
    return NextAssoc(static_cast<const CAssoc*>(pPairRet));
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
typename CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::CPair*
CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::PGetNextAssoc(const CPair* pPairRet)
{
    if (pPairRet == NULL)
        return NULL;
    return NextAssoc(static_cast<const CAssoc*>(pPairRet));
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    if (ar.IsStoring())
    {
        ar.WriteCount((DWORD_PTR)m_nCount);
        if (m_nCount == 0)
            return;
        for (CAssoc* pAssoc = FirstAssoc(); pAssoc != NULL; pAssoc = NextAssoc(pAssoc))
        {
            KEY* pKey = const_cast<KEY*>(&pAssoc->key);
            SerializeElements<KEY>(ar, pKey, 1);
            SerializeElements<VALUE>(ar, &pAssoc->value, 1);
        }
    }
    else
    {
        DWORD_PTR nNewCount = ar.ReadCount();
        ar.CheckCount(nNewCount, AfxMinArchivedElementSize<KEY>() + AfxMinArchivedElementSize<VALUE>());
        while (nNewCount--)
        {
            KEY newKey[1] = {};
            VALUE newValue[1] = {};
            SerializeElements<KEY>(ar, newKey, 1);
            SerializeElements<VALUE>(ar, newValue, 1);
            SetAt(newKey[0], newValue[0]);
        }
    }
}

#endif // BM_AFXCOLLTPL_H
