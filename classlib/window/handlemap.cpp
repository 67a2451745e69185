// The per-thread list of handle maps and the idle clean-up of temporaries.
#include <afxhandlemap.h>

namespace
{
// Each thread's maps, in the order they were first used.  The list is made on
// first use and never freed (see afxhandlemap.h).
std::vector<CHandleMapBase*>*& ThreadMapList()
{
    static thread_local std::vector<CHandleMapBase*>* s_pList = nullptr;
    if (s_pList == nullptr)
        s_pList = new std::vector<CHandleMapBase*>;
    return s_pList;
}
} // namespace

void AFXAPI CHandleMapBase::RegisterThreadMap(CHandleMapBase* pMap)
{
    if (pMap != nullptr)
        ThreadMapList()->push_back(pMap);
}

void AFXAPI AfxDeleteTempMaps()
{
    // Index loop: deleting a temporary may create another map of this thread.
    std::vector<CHandleMapBase*>* pList = ThreadMapList();
    for (size_t i = 0; i < pList->size(); ++i)
        (*pList)[i]->DeleteTemp();
}
