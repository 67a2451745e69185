// Clipboard data source and data object over the plain clipboard calls.
//
// They have the shape of the OLE data-transfer classes (CacheGlobalData,
// SetClipboard, AttachClipboard, IsDataAvailable, GetGlobalData, GetData,
// format enumeration) but need no OLE start-up: the data go onto, and come
// from, the clipboard directly.  A drop target is provided for class identity;
// it accepts nothing.
//
// Ownership:
//  - COleDataSource owns what it caches until SetClipboard hands it over.
//    Whatever the clipboard accepted belongs to the system from then on (a
//    CF_BITMAP included: it is never deleted by the layer); whatever it
//    refused is freed with the source.
//  - COleDataObject returns copies: the caller frees an HGLOBAL from
//    GetGlobalData with GlobalFree and a medium from GetData with
//    ReleaseStgMedium.
#pragma once

#include <afxwin.h>

#include <oleidl.h>
#include <vector>

// ---------------------------------------------------------------------------
// COleDataSource

class COleDataSource
{
public:
    COleDataSource();
    virtual ~COleDataSource();

    // Caches hGlobal under cfFormat; the source owns the block from now on.
    // A format cached twice keeps the newer data.
    void CacheGlobalData(CLIPFORMAT cfFormat, HGLOBAL hGlobal, LPFORMATETC lpFormatEtc = NULL);
    // Caches a medium: TYMED_HGLOBAL, TYMED_GDI (a bitmap or palette) or
    // TYMED_ENHMF.  The source owns it from now on.  Other media are released
    // at once and not cached.
    void CacheData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium, LPFORMATETC lpFormatEtc = NULL);
    // Frees everything still cached.
    void Empty();
    int GetCachedCount() const { return (int)m_entries.size(); }

    // Empties the clipboard and puts every cached format on it.  TRUE when
    // every format was accepted.  hWndOwner may be null: the layer then uses
    // a hidden window of its own as the clipboard owner.  The cache is empty
    // afterwards.
    BOOL SetClipboard(HWND hWndOwner = NULL);

    // Empties the clipboard (when this process owns it).
    static void PASCAL FlushClipboard();

private:
    struct Entry
    {
        CLIPFORMAT cfFormat;
        STGMEDIUM medium;
    };
    std::vector<Entry> m_entries;

    static void FreeMedium(STGMEDIUM& medium);

    COleDataSource(const COleDataSource&) = delete;
    COleDataSource& operator=(const COleDataSource&) = delete;
};

// ---------------------------------------------------------------------------
// COleDataObject

class COleDataObject
{
public:
    COleDataObject();
    virtual ~COleDataObject();

    // Reads from the clipboard from now on.  Always TRUE: the clipboard is
    // opened only for each read.
    BOOL AttachClipboard();
    BOOL IsAttached() const { return m_bAttached; }
    void Release();

    BOOL IsDataAvailable(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = NULL);
    // A copy of the clipboard's block for cfFormat, or null.  GlobalFree it.
    HGLOBAL GetGlobalData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = NULL);
    // A copy of the clipboard's data in a medium: TYMED_GDI for CF_BITMAP
    // (a DIB section copy) and CF_PALETTE, TYMED_ENHMF for CF_ENHMETAFILE,
    // TYMED_HGLOBAL otherwise.  FALSE when the format is absent.  Release the
    // medium with ReleaseStgMedium.
    BOOL GetData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium, LPFORMATETC lpFormatEtc = NULL);

    // Format enumeration over a snapshot of the clipboard's formats.
    void BeginEnumFormats();
    BOOL GetNextFormat(LPFORMATETC lpFormatEtc);

private:
    BOOL m_bAttached;
    std::vector<CLIPFORMAT> m_formats;
    size_t m_nNextFormat;

    COleDataObject(const COleDataObject&) = delete;
    COleDataObject& operator=(const COleDataObject&) = delete;
};

// The effect a drop target answers (DROPEFFECT_* of oleidl.h).
typedef DWORD DROPEFFECT;

// ---------------------------------------------------------------------------
// COleDropTarget: registration without OLE drag and drop; every drag is
// refused.

class COleDropTarget : public CCmdTarget
{
    DECLARE_DYNAMIC(COleDropTarget)
public:
    COleDropTarget();
    virtual ~COleDropTarget();

    BOOL Register(CWnd* pWnd);
    virtual void Revoke();
    CWnd* GetRegisteredWnd() const { return m_pWnd; }

    virtual DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState,
                                   CPoint point);
    virtual DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState,
                                  CPoint point);
    virtual BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect,
                        CPoint point);
    virtual void OnDragLeave(CWnd* pWnd);
    virtual DROPEFFECT OnDragScroll(CWnd* pWnd, DWORD dwKeyState, CPoint point);

protected:
    CWnd* m_pWnd;
};
