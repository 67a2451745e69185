// Clipboard data source and data object over the plain clipboard calls.
#include <afxclip.h>

#include <string.h>

namespace
{
// Opens the clipboard, retrying briefly while another window holds it.
BOOL OpenClipboardRetrying(HWND hWnd)
{
    for (int i = 0; i < 5; ++i)
    {
        if (::OpenClipboard(hWnd))
            return TRUE;
        ::Sleep(10);
    }
    return FALSE;
}

// A hidden window of the layer that owns what it puts on the clipboard when
// the caller names no owner (the clipboard refuses data without one).
LRESULT CALLBACK ClipboardOwnerProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefWindowProc(hWnd, message, wParam, lParam);
}

HWND GetLayerClipboardOwner()
{
    static HWND s_hWnd = NULL;
    if (s_hWnd != NULL && ::IsWindow(s_hWnd))
        return s_hWnd;
    static const char szClass[] = "BmClipboardOwner";
    HINSTANCE hInst = ::GetModuleHandle(NULL);
    WNDCLASS wc;
    if (!::GetClassInfo(hInst, szClass, &wc))
    {
        memset(&wc, 0, sizeof(wc));
        wc.lpfnWndProc = ClipboardOwnerProc;
        wc.hInstance = hInst;
        wc.lpszClassName = szClass;
        ::RegisterClass(&wc);
    }
    s_hWnd = ::CreateWindowEx(0, szClass, "", WS_POPUP, 0, 0, 0, 0, HWND_MESSAGE, NULL, hInst, NULL);
    return s_hWnd;
}

HGLOBAL CopyGlobal(HGLOBAL hSource)
{
    if (hSource == NULL)
        return NULL;
    SIZE_T nSize = ::GlobalSize(hSource);
    HGLOBAL hCopy = ::GlobalAlloc(GMEM_MOVEABLE, nSize != 0 ? nSize : 1);
    if (hCopy == NULL)
        return NULL;
    if (nSize != 0)
    {
        void* pSource = ::GlobalLock(hSource);
        void* pCopy = ::GlobalLock(hCopy);
        if (pSource == NULL || pCopy == NULL)
        {
            if (pSource != NULL)
                ::GlobalUnlock(hSource);
            if (pCopy != NULL)
                ::GlobalUnlock(hCopy);
            ::GlobalFree(hCopy);
            return NULL;
        }
        memcpy(pCopy, pSource, nSize);
        ::GlobalUnlock(hCopy);
        ::GlobalUnlock(hSource);
    }
    return hCopy;
}

DWORD TymedForFormat(CLIPFORMAT cfFormat)
{
    switch (cfFormat)
    {
    case CF_BITMAP:
    case CF_PALETTE:
        return TYMED_GDI;
    case CF_ENHMETAFILE:
        return TYMED_ENHMF;
    default:
        return TYMED_HGLOBAL;
    }
}
} // namespace

// ---------------------------------------------------------------------------
// COleDataSource

COleDataSource::COleDataSource()
{
}

COleDataSource::~COleDataSource()
{
    Empty();
}

void COleDataSource::FreeMedium(STGMEDIUM& medium)
{
    switch (medium.tymed)
    {
    case TYMED_HGLOBAL:
        if (medium.hGlobal != NULL)
            ::GlobalFree(medium.hGlobal);
        break;
    case TYMED_GDI:
        if (medium.hBitmap != NULL)
            ::DeleteObject(medium.hBitmap);
        break;
    case TYMED_ENHMF:
        if (medium.hEnhMetaFile != NULL)
            ::DeleteEnhMetaFile(medium.hEnhMetaFile);
        break;
    default:
        break;
    }
    memset(&medium, 0, sizeof(medium));
}

void COleDataSource::CacheGlobalData(CLIPFORMAT cfFormat, HGLOBAL hGlobal, LPFORMATETC)
{
    if (hGlobal == NULL)
        return;
    STGMEDIUM medium;
    memset(&medium, 0, sizeof(medium));
    medium.tymed = TYMED_HGLOBAL;
    medium.hGlobal = hGlobal;
    CacheData(cfFormat, &medium);
}

void COleDataSource::CacheData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium, LPFORMATETC)
{
    if (lpStgMedium == NULL)
        return;
    Entry entry;
    entry.cfFormat = cfFormat;
    entry.medium = *lpStgMedium;
    if (entry.medium.tymed != TYMED_HGLOBAL && entry.medium.tymed != TYMED_GDI &&
        entry.medium.tymed != TYMED_ENHMF)
    {
        // Not something the clipboard takes: give it back to its releaser.
        ::ReleaseStgMedium(lpStgMedium);
        return;
    }
    entry.medium.pUnkForRelease = NULL;
    for (Entry& existing : m_entries)
    {
        if (existing.cfFormat == cfFormat)
        {
            FreeMedium(existing.medium);
            existing.medium = entry.medium;
            return;
        }
    }
    m_entries.push_back(entry);
}

void COleDataSource::Empty()
{
    for (Entry& entry : m_entries)
        FreeMedium(entry.medium);
    m_entries.clear();
}

BOOL COleDataSource::SetClipboard(HWND hWndOwner)
{
    if (hWndOwner == NULL)
        hWndOwner = GetLayerClipboardOwner();
    if (hWndOwner == NULL || !OpenClipboardRetrying(hWndOwner))
    {
        Empty();
        return FALSE;
    }
    BOOL bAll = ::EmptyClipboard();
    for (Entry& entry : m_entries)
    {
        HANDLE hData = NULL;
        switch (entry.medium.tymed)
        {
        case TYMED_HGLOBAL:
            hData = entry.medium.hGlobal;
            break;
        case TYMED_GDI:
            hData = entry.medium.hBitmap;
            break;
        case TYMED_ENHMF:
            hData = entry.medium.hEnhMetaFile;
            break;
        default:
            break;
        }
        if (bAll && hData != NULL && ::SetClipboardData(entry.cfFormat, hData) != NULL)
        {
            // The clipboard owns it now: forget it, never free it.
            memset(&entry.medium, 0, sizeof(entry.medium));
        }
        else
        {
            bAll = FALSE;
            FreeMedium(entry.medium);
        }
    }
    m_entries.clear();
    ::CloseClipboard();
    return bAll;
}

void PASCAL COleDataSource::FlushClipboard()
{
    HWND hOwner = ::GetClipboardOwner();
    if (hOwner == NULL)
        return;
    DWORD dwProcess = 0;
    ::GetWindowThreadProcessId(hOwner, &dwProcess);
    if (dwProcess != ::GetCurrentProcessId())
        return;
    if (OpenClipboardRetrying(hOwner))
    {
        ::EmptyClipboard();
        ::CloseClipboard();
    }
}

// ---------------------------------------------------------------------------
// COleDataObject

COleDataObject::COleDataObject()
    : m_bAttached(FALSE), m_nNextFormat(0), m_lpDataObject(NULL), m_bAutoRelease(FALSE)
{
}

COleDataObject::~COleDataObject()
{
    Release();
}

BOOL COleDataObject::AttachClipboard()
{
    Release();
    m_bAttached = TRUE;
    m_formats.clear();
    m_nNextFormat = 0;
    return TRUE;
}

void COleDataObject::Release()
{
    if (m_lpDataObject != NULL)
    {
        LPDATAOBJECT lpDataObject = m_lpDataObject;
        m_lpDataObject = NULL;
        if (m_bAutoRelease)
            lpDataObject->Release();
    }
    m_bAutoRelease = FALSE;
    m_bAttached = FALSE;
    m_formats.clear();
    m_nNextFormat = 0;
}

BOOL COleDataObject::IsDataAvailable(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc)
{
    if (m_lpDataObject != NULL)
        return IsObjectDataAvailable(cfFormat, lpFormatEtc);
    return m_bAttached && cfFormat != 0 && ::IsClipboardFormatAvailable(cfFormat);
}

HGLOBAL COleDataObject::GetGlobalData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc)
{
    if (m_lpDataObject != NULL)
        return GetObjectGlobalData(cfFormat, lpFormatEtc);
    if (!m_bAttached || TymedForFormat(cfFormat) != TYMED_HGLOBAL)
        return NULL;
    if (!::IsClipboardFormatAvailable(cfFormat) || !OpenClipboardRetrying(NULL))
        return NULL;
    HGLOBAL hCopy = CopyGlobal((HGLOBAL)::GetClipboardData(cfFormat));
    ::CloseClipboard();
    return hCopy;
}

BOOL COleDataObject::GetData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium, LPFORMATETC lpFormatEtc)
{
    if (lpStgMedium == NULL)
        return FALSE;
    memset(lpStgMedium, 0, sizeof(*lpStgMedium));
    if (m_lpDataObject != NULL)
        return GetObjectData(cfFormat, lpStgMedium, lpFormatEtc);
    if (!m_bAttached || !::IsClipboardFormatAvailable(cfFormat) || !OpenClipboardRetrying(NULL))
        return FALSE;

    HANDLE hData = ::GetClipboardData(cfFormat);
    BOOL bOK = FALSE;
    if (hData != NULL)
    {
        switch (TymedForFormat(cfFormat))
        {
        case TYMED_GDI:
            if (cfFormat == CF_BITMAP)
            {
                // A copy: the clipboard's bitmap is the system's.
                lpStgMedium->hBitmap = (HBITMAP)::CopyImage(hData, IMAGE_BITMAP, 0, 0,
                                                            LR_CREATEDIBSECTION);
            }
            else
            {
                HPALETTE hPal = (HPALETTE)hData;
                WORD nEntries = 0;
                ::GetObject(hPal, sizeof(nEntries), &nEntries);
                std::vector<BYTE> buffer(sizeof(LOGPALETTE) + nEntries * sizeof(PALETTEENTRY));
                LOGPALETTE* pLog = (LOGPALETTE*)buffer.data();
                pLog->palVersion = 0x300;
                pLog->palNumEntries = nEntries;
                ::GetPaletteEntries(hPal, 0, nEntries, pLog->palPalEntry);
                lpStgMedium->hBitmap = (HBITMAP)::CreatePalette(pLog);
            }
            if (lpStgMedium->hBitmap != NULL)
            {
                lpStgMedium->tymed = TYMED_GDI;
                bOK = TRUE;
            }
            break;
        case TYMED_ENHMF:
            lpStgMedium->hEnhMetaFile = ::CopyEnhMetaFile((HENHMETAFILE)hData, NULL);
            if (lpStgMedium->hEnhMetaFile != NULL)
            {
                lpStgMedium->tymed = TYMED_ENHMF;
                bOK = TRUE;
            }
            break;
        default:
            lpStgMedium->hGlobal = CopyGlobal((HGLOBAL)hData);
            if (lpStgMedium->hGlobal != NULL)
            {
                lpStgMedium->tymed = TYMED_HGLOBAL;
                bOK = TRUE;
            }
            break;
        }
    }
    ::CloseClipboard();
    return bOK;
}

void COleDataObject::BeginEnumFormats()
{
    m_formats.clear();
    m_nNextFormat = 0;
    if (m_lpDataObject != NULL)
    {
        BeginObjectEnumFormats();
        return;
    }
    if (!m_bAttached || !OpenClipboardRetrying(NULL))
        return;
    UINT cf = 0;
    while ((cf = ::EnumClipboardFormats(cf)) != 0)
        m_formats.push_back((CLIPFORMAT)cf);
    ::CloseClipboard();
}

BOOL COleDataObject::GetNextFormat(LPFORMATETC lpFormatEtc)
{
    if (lpFormatEtc == NULL || m_nNextFormat >= m_formats.size())
        return FALSE;
    CLIPFORMAT cf = m_formats[m_nNextFormat++];
    memset(lpFormatEtc, 0, sizeof(*lpFormatEtc));
    lpFormatEtc->cfFormat = cf;
    lpFormatEtc->dwAspect = DVASPECT_CONTENT;
    lpFormatEtc->lindex = -1;
    lpFormatEtc->tymed = TymedForFormat(cf);
    return TRUE;
}
