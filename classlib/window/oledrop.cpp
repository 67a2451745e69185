// The drop side of the system's OLE drag and drop: COleDropTarget registers a
// window with RegisterDragDrop and turns the system's IDropTarget calls into
// its virtual handlers, and COleDataObject reads the data of the drag from
// the system's IDataObject.
#include <afxclip.h>

#include "wndimpl.h"

#include <map>

namespace
{
// The targets this layer registered, by window, so that a window's
// destruction revokes its target (the system would otherwise keep its
// references for good). One user-interface thread registers and revokes.
std::map<HWND, COleDropTarget*>& Registered()
{
    static std::map<HWND, COleDropTarget*> s_registered;
    return s_registered;
}

// The effect a target answered, limited to what the source allows; the
// scrolling bit passes as it is.
DROPEFFECT FilterEffect(DROPEFFECT dropEffect, DWORD dwAllowed)
{
    DROPEFFECT dropScroll = dropEffect & DROPEFFECT_SCROLL;
    dropEffect &= ~DROPEFFECT_SCROLL;
    if ((dropEffect & dwAllowed) != dropEffect)
    {
        // What the target wants is not allowed: the first the source allows
        // of move, copy and link, else nothing.
        if ((dropEffect & DROPEFFECT_MOVE) && (dwAllowed & DROPEFFECT_MOVE))
            dropEffect = DROPEFFECT_MOVE;
        else if ((dropEffect & DROPEFFECT_COPY) && (dwAllowed & DROPEFFECT_COPY))
            dropEffect = DROPEFFECT_COPY;
        else if ((dropEffect & DROPEFFECT_LINK) && (dwAllowed & DROPEFFECT_LINK))
            dropEffect = DROPEFFECT_LINK;
        else
            dropEffect = DROPEFFECT_NONE;
    }
    return dropEffect | dropScroll;
}

void ReportHandlerFailure(const char* pszWhere, CException* e)
{
    CString strText = e != NULL ? AfxExceptionText(e) : CString("an unknown exception");
    TRACE("The drop target's %s failed: %s\n", pszWhere, (LPCTSTR)strText);
}

// Runs one of the target's handlers; an exception it throws is traced and
// stops there, for it must not unwind into the system's drag loop.
template <class F>
void CallHandler(const char* pszWhere, F call)
{
    try
    {
        call();
    }
    catch (CException* e)
    {
        ReportHandlerFailure(pszWhere, e);
        e->Delete();
    }
    catch (...)
    {
        ReportHandlerFailure(pszWhere, NULL);
    }
}
} // namespace

// ---------------------------------------------------------------------------
// COleDataObject over the system's data object

void COleDataObject::Attach(LPDATAOBJECT lpDataObject, BOOL bAutoRelease)
{
    Release();
    m_lpDataObject = lpDataObject;
    m_bAutoRelease = lpDataObject != NULL && bAutoRelease;
}

LPDATAOBJECT COleDataObject::Detach()
{
    LPDATAOBJECT lpDataObject = m_lpDataObject;
    m_lpDataObject = NULL;
    m_bAutoRelease = FALSE;
    return lpDataObject;
}

LPDATAOBJECT COleDataObject::GetIDataObject(BOOL bAddRef)
{
    if (m_lpDataObject != NULL && bAddRef)
        m_lpDataObject->AddRef();
    return m_lpDataObject;
}

namespace
{
// Every medium a data object may offer.
const DWORD kAnyMedium = TYMED_HGLOBAL | TYMED_FILE | TYMED_ISTREAM | TYMED_ISTORAGE | TYMED_GDI | TYMED_MFPICT |
                         TYMED_ENHMF;

FORMATETC FormatFor(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc, DWORD tymed)
{
    if (lpFormatEtc != NULL)
        return *lpFormatEtc;
    FORMATETC formatEtc = { cfFormat, NULL, DVASPECT_CONTENT, -1, tymed };
    return formatEtc;
}
} // namespace

BOOL COleDataObject::IsObjectDataAvailable(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc)
{
    FORMATETC formatEtc = FormatFor(cfFormat, lpFormatEtc, kAnyMedium);
    return m_lpDataObject->QueryGetData(&formatEtc) == S_OK;
}

HGLOBAL COleDataObject::GetObjectGlobalData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc)
{
    FORMATETC formatEtc = FormatFor(cfFormat, lpFormatEtc, TYMED_HGLOBAL);
    formatEtc.tymed = TYMED_HGLOBAL;
    STGMEDIUM medium;
    memset(&medium, 0, sizeof(medium));
    if (FAILED(m_lpDataObject->GetData(&formatEtc, &medium)))
        return NULL;
    if (medium.tymed != TYMED_HGLOBAL || medium.hGlobal == NULL)
    {
        ::ReleaseStgMedium(&medium);
        return NULL;
    }
    // The caller owns what it gets: a block the medium does not own itself
    // (a source that keeps it) is copied.
    HGLOBAL hResult = medium.hGlobal;
    if (medium.pUnkForRelease != NULL)
    {
        SIZE_T nSize = ::GlobalSize(medium.hGlobal);
        hResult = ::GlobalAlloc(GMEM_MOVEABLE, nSize);
        const void* pFrom = ::GlobalLock(medium.hGlobal);
        void* pTo = hResult != NULL ? ::GlobalLock(hResult) : NULL;
        if (pFrom != NULL && pTo != NULL)
            memcpy(pTo, pFrom, nSize);
        if (pTo != NULL)
            ::GlobalUnlock(hResult);
        if (pFrom != NULL)
            ::GlobalUnlock(medium.hGlobal);
        if (pFrom == NULL || pTo == NULL)
        {
            if (hResult != NULL)
                ::GlobalFree(hResult);
            hResult = NULL;
        }
        ::ReleaseStgMedium(&medium);
    }
    return hResult;
}

BOOL COleDataObject::GetObjectData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium, LPFORMATETC lpFormatEtc)
{
    FORMATETC formatEtc = FormatFor(cfFormat, lpFormatEtc, kAnyMedium);
    return SUCCEEDED(m_lpDataObject->GetData(&formatEtc, lpStgMedium));
}

void COleDataObject::BeginObjectEnumFormats()
{
    IEnumFORMATETC* pEnum = NULL;
    if (FAILED(m_lpDataObject->EnumFormatEtc(DATADIR_GET, &pEnum)) || pEnum == NULL)
        return;
    FORMATETC formatEtc;
    ULONG nFetched = 0;
    while (pEnum->Next(1, &formatEtc, &nFetched) == S_OK && nFetched == 1)
    {
        if (formatEtc.ptd != NULL)
            ::CoTaskMemFree(formatEtc.ptd);
        m_formats.push_back(formatEtc.cfFormat);
    }
    pEnum->Release();
}

// ---------------------------------------------------------------------------
// COleDropTarget

IMPLEMENT_DYNAMIC(COleDropTarget, CCmdTarget)

COleDropTarget::COleDropTarget() : m_pWnd(NULL), m_hWnd(NULL)
{
    m_xDropTarget.m_pOwner = this;
}

COleDropTarget::~COleDropTarget()
{
    Revoke();
}

COleDropTarget* PASCAL COleDropTarget::FromHandle(HWND hWnd)
{
    auto it = Registered().find(hWnd);
    return it != Registered().end() ? it->second : NULL;
}

BOOL COleDropTarget::Register(CWnd* pWnd)
{
    if (pWnd == NULL || pWnd->GetSafeHwnd() == NULL)
        return FALSE;
    if (m_hWnd == pWnd->m_hWnd)
        return TRUE;
    COleDropTarget* pOther = FromHandle(pWnd->m_hWnd);
    if (pOther != NULL && pOther != this)
    {
        TRACE("A window already has a drop target.\n");
        return FALSE;
    }
    Revoke();
    HRESULT hr = ::RegisterDragDrop(pWnd->m_hWnd, &m_xDropTarget);
    if (FAILED(hr))
    {
        TRACE("The window could not be registered for drag and drop (0x%08lX).\n", (unsigned long)hr);
        return FALSE;
    }
    m_pWnd = pWnd;
    m_hWnd = pWnd->m_hWnd;
    Registered()[m_hWnd] = this;
    return TRUE;
}

void COleDropTarget::Revoke()
{
    if (m_hWnd != NULL)
    {
        HWND hWnd = m_hWnd;
        m_hWnd = NULL;
        Registered().erase(hWnd);
        HRESULT hr = ::RevokeDragDrop(hWnd);
        if (FAILED(hr))
            TRACE("The drop target could not be revoked (0x%08lX).\n", (unsigned long)hr);
    }
    m_pWnd = NULL;
    m_dataObject.Release();
}

void PASCAL COleDropTarget::RevokeWindow(HWND hWnd)
{
    if (COleDropTarget* pTarget = FromHandle(hWnd))
        pTarget->Revoke();
}

DROPEFFECT COleDropTarget::OnDragEnter(CWnd*, COleDataObject*, DWORD, CPoint)
{
    return DROPEFFECT_NONE;
}

DROPEFFECT COleDropTarget::OnDragOver(CWnd*, COleDataObject*, DWORD, CPoint)
{
    return DROPEFFECT_NONE;
}

BOOL COleDropTarget::OnDrop(CWnd*, COleDataObject*, DROPEFFECT, CPoint)
{
    return FALSE;
}

void COleDropTarget::OnDragLeave(CWnd*)
{
}

DROPEFFECT COleDropTarget::OnDragScroll(CWnd*, DWORD, CPoint)
{
    return DROPEFFECT_NONE;
}

BOOL COleDropTarget::PrepareCall(POINTL pt, CWnd** ppWnd, CPoint* pPoint)
{
    if (m_pWnd == NULL || m_hWnd == NULL || !::IsWindow(m_hWnd))
        return FALSE;
    CPoint point(pt.x, pt.y);
    ::ScreenToClient(m_hWnd, &point);
    *ppWnd = m_pWnd;
    *pPoint = point;
    return TRUE;
}

// The system's calls. Each runs the handlers behind a barrier: nothing may
// unwind into OLE.

COleDropTarget* COleDropTarget::XDropTarget::Owner()
{
    return m_pOwner;
}

HRESULT STDMETHODCALLTYPE COleDropTarget::XDropTarget::QueryInterface(REFIID riid, void** ppv)
{
    if (ppv == NULL)
        return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDropTarget))
    {
        *ppv = static_cast<IDropTarget*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = NULL;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE COleDropTarget::XDropTarget::AddRef()
{
    return Owner()->ExternalAddRef();
}

ULONG STDMETHODCALLTYPE COleDropTarget::XDropTarget::Release()
{
    return Owner()->ExternalRelease();
}

HRESULT COleDropTarget::XDropTarget::TrackDrag(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect)
{
    if (pdwEffect == NULL)
        return E_INVALIDARG;
    COleDropTarget* pThis = Owner();
    DWORD dwAllowed = *pdwEffect;
    *pdwEffect = DROPEFFECT_NONE;
    CWnd* pWnd = NULL;
    CPoint point;
    if (!pThis->PrepareCall(pt, &pWnd, &point))
        return S_OK;
    const bool bEnter = pDataObj != NULL;
    if (bEnter)
        pThis->m_dataObject.Attach(pDataObj, FALSE);
    CallHandler(bEnter ? "OnDragEnter" : "OnDragOver", [&] {
        // The scrolling margin scrolls; elsewhere the target decides.
        DROPEFFECT dropEffect = pThis->OnDragScroll(pWnd, grfKeyState, point);
        if ((dropEffect & DROPEFFECT_SCROLL) == 0)
            dropEffect = bEnter ? pThis->OnDragEnter(pWnd, &pThis->m_dataObject, grfKeyState, point)
                                : pThis->OnDragOver(pWnd, &pThis->m_dataObject, grfKeyState, point);
        *pdwEffect = FilterEffect(dropEffect, dwAllowed);
    });
    return S_OK;
}

HRESULT STDMETHODCALLTYPE COleDropTarget::XDropTarget::DragEnter(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt,
                                                                 DWORD* pdwEffect)
{
    if (pDataObj == NULL)
        return E_INVALIDARG;
    return TrackDrag(pDataObj, grfKeyState, pt, pdwEffect);
}

HRESULT STDMETHODCALLTYPE COleDropTarget::XDropTarget::DragOver(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect)
{
    return TrackDrag(NULL, grfKeyState, pt, pdwEffect);
}

HRESULT STDMETHODCALLTYPE COleDropTarget::XDropTarget::DragLeave()
{
    COleDropTarget* pThis = Owner();
    if (pThis->m_pWnd != NULL && pThis->m_hWnd != NULL && ::IsWindow(pThis->m_hWnd))
    {
        CallHandler("OnDragLeave", [&] {
            pThis->OnDragLeave(pThis->m_pWnd);
        });
    }
    pThis->m_dataObject.Release();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE COleDropTarget::XDropTarget::Drop(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt,
                                                            DWORD* pdwEffect)
{
    if (pdwEffect == NULL)
        return E_INVALIDARG;
    COleDropTarget* pThis = Owner();
    DWORD dwAllowed = *pdwEffect;
    *pdwEffect = DROPEFFECT_NONE;
    CWnd* pWnd = NULL;
    CPoint point;
    if (!pThis->PrepareCall(pt, &pWnd, &point))
    {
        pThis->m_dataObject.Release();
        return S_OK;
    }
    pThis->m_dataObject.Attach(pDataObj, FALSE);
    CallHandler("OnDrop", [&] {
        // The drop is taken with the effect the target answers for this
        // point; a target that wants nothing here is left as by a drag that
        // left it.
        DROPEFFECT dropEffect =
            FilterEffect(pThis->OnDragOver(pWnd, &pThis->m_dataObject, grfKeyState, point), dwAllowed) &
            ~DROPEFFECT_SCROLL;
        if (dropEffect == DROPEFFECT_NONE)
            pThis->OnDragLeave(pWnd);
        else if (!pThis->OnDrop(pWnd, &pThis->m_dataObject, dropEffect, point))
            dropEffect = DROPEFFECT_NONE;
        *pdwEffect = dropEffect;
    });
    pThis->m_dataObject.Release();
    return S_OK;
}
