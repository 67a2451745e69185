// Clipboard data source and data object over the plain clipboard calls.
//
// They have the shape of the OLE data-transfer classes (CacheGlobalData,
// SetClipboard, AttachClipboard, IsDataAvailable, GetGlobalData, GetData,
// format enumeration) but need no OLE start-up: the data go onto, and come
// from, the clipboard directly.  A data object may also wrap the system's
// IDataObject of a drag in progress (oledrop.cpp), and a drop target registers
// a window with the system's OLE drag and drop, which needs OleInitialize on
// the thread first.
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
    // Reads from the system's data object from now on; with bAutoRelease the
    // wrapper releases it in Release (the reference passes to the wrapper).
    void Attach(LPDATAOBJECT lpDataObject, BOOL bAutoRelease = TRUE);
    // Gives the data object back without releasing it (null when none).
    LPDATAOBJECT Detach();
    // The wrapped data object (null for the clipboard or nothing).
    LPDATAOBJECT GetIDataObject(BOOL bAddRef);
    BOOL IsAttached() const { return m_bAttached || m_lpDataObject != NULL; }
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
    LPDATAOBJECT m_lpDataObject;
    BOOL m_bAutoRelease;

    // The same reads from the wrapped data object (oledrop.cpp).
    BOOL IsObjectDataAvailable(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc);
    HGLOBAL GetObjectGlobalData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc);
    BOOL GetObjectData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium, LPFORMATETC lpFormatEtc);
    void BeginObjectEnumFormats();

    COleDataObject(const COleDataObject&) = delete;
    COleDataObject& operator=(const COleDataObject&) = delete;
};

// The effect a drop target answers (DROPEFFECT_* of oleidl.h).
typedef DWORD DROPEFFECT;

// ---------------------------------------------------------------------------
// COleDropTarget: a window's target for the system's OLE drag and drop.
//
// Register hands the system an IDropTarget whose calls come to the virtual
// handlers below, with the point in the window's client coordinates and the
// drag's data in a COleDataObject.  The base handlers refuse every drag
// (DROPEFFECT_NONE).  The system holds references to the target while it is
// registered; Revoke, or the window's destruction, gives them back.  A target
// that lives on the heap is released with InternalRelease after Revoke.

class COleDropTarget : public CCmdTarget
{
    DECLARE_DYNAMIC(COleDropTarget)
public:
    COleDropTarget();
    virtual ~COleDropTarget();

    // FALSE (with a trace) when the window has no handle, already has another
    // target, or the system refuses (OLE not started on this thread).
    BOOL Register(CWnd* pWnd);
    virtual void Revoke();
    CWnd* GetRegisteredWnd() const { return m_pWnd; }
    // The interface the system calls (no reference added).
    LPDROPTARGET GetDropTargetInterface() { return &m_xDropTarget; }
    // The target registered for a window by this layer, or null.
    static COleDropTarget* PASCAL FromHandle(HWND hWnd);
    // Revokes the target of a window being destroyed (WM_NCDESTROY).
    static void PASCAL RevokeWindow(HWND hWnd);

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
    HWND m_hWnd;
    // The data of the drag in progress (attached from DragEnter to
    // DragLeave or Drop).
    COleDataObject m_dataObject;

private:
    // The system's view of the target; its references are the target's.
    class XDropTarget : public IDropTarget
    {
    public:
        STDMETHOD(QueryInterface)(REFIID riid, void** ppv) override;
        STDMETHOD_(ULONG, AddRef)() override;
        STDMETHOD_(ULONG, Release)() override;
        STDMETHOD(DragEnter)(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;
        STDMETHOD(DragOver)(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;
        STDMETHOD(DragLeave)() override;
        STDMETHOD(Drop)(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;
        COleDropTarget* Owner();
        COleDropTarget* m_pOwner = nullptr;

    private:
        // A drag entering (pDataObj, the drag's data) or moving over the
        // target: the effect the target answers, within what is allowed.
        HRESULT TrackDrag(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect);
    };
    XDropTarget m_xDropTarget;
    friend class XDropTarget;

    // The registered window as an object for the handlers, and the point in
    // its client coordinates; FALSE when the window is gone.
    BOOL PrepareCall(POINTL pt, CWnd** ppWnd, CPoint* pPoint);

    COleDropTarget(const COleDropTarget&) = delete;
    COleDropTarget& operator=(const COleDropTarget&) = delete;
};
