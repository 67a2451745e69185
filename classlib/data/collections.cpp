// Runtime classes of the named collections and the memory helpers shared by
// the collection templates.
#include "afx.h"
#include "afxcoll.h"

IMPLEMENT_SERIAL(CByteArray, CObject, 0)
IMPLEMENT_SERIAL(CWordArray, CObject, 0)
IMPLEMENT_SERIAL(CDWordArray, CObject, 0)
IMPLEMENT_DYNAMIC(CUIntArray, CObject)
IMPLEMENT_DYNAMIC(CPtrArray, CObject)
IMPLEMENT_SERIAL(CObArray, CObject, 0)
IMPLEMENT_SERIAL(CStringArray, CObject, 0)
IMPLEMENT_DYNAMIC(CPtrList, CObject)
IMPLEMENT_SERIAL(CObList, CObject, 0)
IMPLEMENT_SERIAL(CStringList, CObject, 0)
IMPLEMENT_DYNAMIC(CMapPtrToPtr, CObject)
IMPLEMENT_DYNAMIC(CMapPtrToWord, CObject)
IMPLEMENT_DYNAMIC(CMapWordToPtr, CObject)
IMPLEMENT_SERIAL(CMapWordToOb, CObject, 0)
IMPLEMENT_DYNAMIC(CMapStringToPtr, CObject)
IMPLEMENT_SERIAL(CMapStringToOb, CObject, 0)
IMPLEMENT_SERIAL(CMapStringToString, CObject, 0)

namespace bm_coll
{

void* AFXAPI AllocElements(UINT_PTR nCount, UINT_PTR cbElement)
{
    if (cbElement == 0)
        cbElement = 1;
    if (nCount > ((UINT_PTR)INT_MAX) / cbElement)
        AfxThrowMemoryException();
    void* p = malloc(nCount == 0 ? 1 : nCount * cbElement);
    if (p == NULL)
        AfxThrowMemoryException();
    return p;
}

void AFXAPI FreeElements(void* p)
{
    free(p);
}

} // namespace bm_coll

CPlex* PASCAL CPlex::Create(CPlex*& pHead, UINT_PTR nMax, UINT_PTR cbElement)
{
    if (nMax == 0 || cbElement == 0 || nMax > ((UINT_PTR)INT_MAX - sizeof(CPlex)) / cbElement)
        AfxThrowMemoryException();
    CPlex* p = static_cast<CPlex*>(malloc(sizeof(CPlex) + nMax * cbElement));
    if (p == NULL)
        AfxThrowMemoryException();
    p->pNext = pHead;
    pHead = p;
    return p;
}

void CPlex::FreeDataChain()
{
    CPlex* p = this;
    while (p != NULL)
    {
        CPlex* pNext = p->pNext;
        free(p);
        p = pNext;
    }
}

UINT AFXAPI AfxHashString(LPCSTR key)
{
    UINT nHash = 0;
    if (key == NULL)
        return 0;
    while (*key)
        nHash = (nHash << 5) + nHash + (BYTE)*key++;
    return nHash;
}

namespace {

template <class MAP>
BOOL LookupStoredKey(const MAP& map, LPCTSTR key, LPCTSTR& rKey)
{
    const typename MAP::CPair* pPair = map.PLookup(key);
    if (pPair == NULL)
        return FALSE;
    rKey = pPair->key;
    return TRUE;
}

} // namespace

BOOL CMapStringToPtr::LookupKey(LPCTSTR key, LPCTSTR& rKey) const
{
    return LookupStoredKey(*this, key, rKey);
}

BOOL CMapStringToOb::LookupKey(LPCTSTR key, LPCTSTR& rKey) const
{
    return LookupStoredKey(*this, key, rKey);
}

BOOL CMapStringToString::LookupKey(LPCTSTR key, LPCTSTR& rKey) const
{
    return LookupStoredKey(*this, key, rKey);
}
