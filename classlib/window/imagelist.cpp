// CImageList: image-list wrapper with its own handle map.
#include <afxcmn.h>

IMPLEMENT_DYNCREATE(CImageList, CObject)

// ---------------------------------------------------------------------------
// Temporaries

CImageList* CImageListHandleTraits::CreateTemp(HIMAGELIST h)
{
    CImageList* p = new CImageList;
    p->m_hImageList = h;
    return p;
}

void CImageListHandleTraits::DetachTemp(CImageList* p)
{
    p->m_hImageList = NULL;
}

// ---------------------------------------------------------------------------
// Construction and handles

CImageList::CImageList() : m_hImageList(NULL)
{
}

CImageList::~CImageList()
{
    DeleteImageList();
}

CImageList* PASCAL CImageList::FromHandle(HIMAGELIST hImageList)
{
    return CImageListHandleMap::GetThreadMap()->FromHandle(hImageList);
}

CImageList* PASCAL CImageList::FromHandlePermanent(HIMAGELIST hImageList)
{
    return CImageListHandleMap::GetThreadMap()->LookupPermanent(hImageList);
}

void PASCAL CImageList::DeleteTempMap()
{
    CImageListHandleMap::GetThreadMap()->DeleteTemp();
}

BOOL CImageList::Attach(HIMAGELIST hImageList)
{
    if (hImageList == NULL)
        return FALSE;
    if (m_hImageList != NULL && m_hImageList != hImageList)
        DeleteImageList();
    m_hImageList = hImageList;
    CImageListHandleMap::GetThreadMap()->SetPermanent(hImageList, this);
    return TRUE;
}

HIMAGELIST CImageList::Detach()
{
    HIMAGELIST hImageList = m_hImageList;
    if (hImageList != NULL)
    {
        CImageListHandleMap* pMap = CImageListHandleMap::GetThreadMap();
        pMap->RemovePermanent(hImageList, this);
        pMap->RetireTemporary(hImageList, this);
    }
    m_hImageList = NULL;
    return hImageList;
}

BOOL CImageList::DeleteImageList()
{
    if (m_hImageList == NULL)
        return FALSE;
    return ImageList_Destroy(Detach());
}

// ---------------------------------------------------------------------------
// Creation

BOOL CImageList::Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow)
{
    HIMAGELIST h = ImageList_Create(cx, cy, nFlags, nInitial, nGrow);
    return h != NULL && Attach(h);
}

BOOL CImageList::Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask)
{
    return Create(MAKEINTRESOURCE(nBitmapID), cx, nGrow, crMask);
}

BOOL CImageList::Create(LPCTSTR lpszBitmapID, int cx, int nGrow, COLORREF crMask)
{
    if (lpszBitmapID == NULL)
        return FALSE;
    HINSTANCE hInst = AfxFindResourceHandle(lpszBitmapID, RT_BITMAP);
    HIMAGELIST h = ImageList_LoadImage(hInst, lpszBitmapID, cx, nGrow, crMask, IMAGE_BITMAP,
                                       LR_CREATEDIBSECTION);
    return h != NULL && Attach(h);
}

BOOL CImageList::Create(CImageList& imagelist1, int nImage1, CImageList& imagelist2, int nImage2,
                        int dx, int dy)
{
    HIMAGELIST h = ImageList_Merge(imagelist1.m_hImageList, nImage1, imagelist2.m_hImageList,
                                   nImage2, dx, dy);
    return h != NULL && Attach(h);
}

BOOL CImageList::Create(CImageList* pImageList)
{
    if (pImageList == NULL || pImageList->m_hImageList == NULL)
        return FALSE;
    HIMAGELIST h = ImageList_Duplicate(pImageList->m_hImageList);
    return h != NULL && Attach(h);
}

// ---------------------------------------------------------------------------
// Attributes

int CImageList::GetImageCount() const
{
    return m_hImageList != NULL ? ImageList_GetImageCount(m_hImageList) : 0;
}

BOOL CImageList::SetImageCount(UINT uNewCount)
{
    return m_hImageList != NULL && ImageList_SetImageCount(m_hImageList, uNewCount);
}

COLORREF CImageList::SetBkColor(COLORREF cr)
{
    return m_hImageList != NULL ? ImageList_SetBkColor(m_hImageList, cr) : CLR_NONE;
}

COLORREF CImageList::GetBkColor() const
{
    return m_hImageList != NULL ? ImageList_GetBkColor(m_hImageList) : CLR_NONE;
}

BOOL CImageList::GetImageInfo(int nImage, IMAGEINFO* pImageInfo) const
{
    if (m_hImageList == NULL || pImageInfo == NULL)
        return FALSE;
    return ImageList_GetImageInfo(m_hImageList, nImage, pImageInfo);
}

BOOL CImageList::GetIconSize(int* pcx, int* pcy) const
{
    if (m_hImageList == NULL || pcx == NULL || pcy == NULL)
        return FALSE;
    return ImageList_GetIconSize(m_hImageList, pcx, pcy);
}

BOOL CImageList::SetIconSize(int cx, int cy)
{
    return m_hImageList != NULL && ImageList_SetIconSize(m_hImageList, cx, cy);
}

// ---------------------------------------------------------------------------
// Images

int CImageList::Add(CBitmap* pbmImage, CBitmap* pbmMask)
{
    if (m_hImageList == NULL || pbmImage == NULL || pbmImage->m_hObject == NULL)
        return -1;
    return ImageList_Add(m_hImageList, (HBITMAP)pbmImage->m_hObject,
                         (HBITMAP)pbmMask->GetSafeHandle());
}

int CImageList::Add(CBitmap* pbmImage, COLORREF crMask)
{
    if (m_hImageList == NULL || pbmImage == NULL || pbmImage->m_hObject == NULL)
        return -1;
    return ImageList_AddMasked(m_hImageList, (HBITMAP)pbmImage->m_hObject, crMask);
}

int CImageList::Add(HICON hIcon)
{
    if (m_hImageList == NULL || hIcon == NULL)
        return -1;
    return ImageList_ReplaceIcon(m_hImageList, -1, hIcon);
}

BOOL CImageList::Remove(int nImage)
{
    return m_hImageList != NULL && ImageList_Remove(m_hImageList, nImage);
}

BOOL CImageList::Replace(int nImage, CBitmap* pbmImage, CBitmap* pbmMask)
{
    if (m_hImageList == NULL || pbmImage == NULL || pbmImage->m_hObject == NULL)
        return FALSE;
    return ImageList_Replace(m_hImageList, nImage, (HBITMAP)pbmImage->m_hObject,
                             (HBITMAP)pbmMask->GetSafeHandle());
}

int CImageList::Replace(int nImage, HICON hIcon)
{
    if (m_hImageList == NULL || hIcon == NULL)
        return -1;
    return ImageList_ReplaceIcon(m_hImageList, nImage, hIcon);
}

HICON CImageList::ExtractIcon(int nImage)
{
    if (m_hImageList == NULL || nImage < 0 || nImage >= GetImageCount())
        return NULL;
    return ImageList_GetIcon(m_hImageList, nImage, ILD_NORMAL);
}

BOOL CImageList::Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle)
{
    if (m_hImageList == NULL || pDC == NULL || pDC->m_hDC == NULL)
        return FALSE;
    return ImageList_Draw(m_hImageList, nImage, pDC->m_hDC, pt.x, pt.y, nStyle);
}

BOOL CImageList::DrawEx(CDC* pDC, int nImage, POINT pt, SIZE sz, COLORREF clrBk, COLORREF clrFg,
                        UINT nStyle)
{
    if (m_hImageList == NULL || pDC == NULL || pDC->m_hDC == NULL)
        return FALSE;
    return ImageList_DrawEx(m_hImageList, nImage, pDC->m_hDC, pt.x, pt.y, sz.cx, sz.cy, clrBk,
                            clrFg, nStyle);
}

BOOL CImageList::DrawIndirect(IMAGELISTDRAWPARAMS* pimldp)
{
    if (m_hImageList == NULL || pimldp == NULL)
        return FALSE;
    // The structure of the common controls we get ends before the fields
    // added later; a caller's larger size is cut down to it.
    IMAGELISTDRAWPARAMS params = *pimldp;
    params.himl = m_hImageList;
    if (params.cbSize == 0 || params.cbSize > sizeof(IMAGELISTDRAWPARAMS))
        params.cbSize = sizeof(IMAGELISTDRAWPARAMS);
    return ImageList_DrawIndirect(&params);
}

BOOL CImageList::SetOverlayImage(int nImage, int nOverlay)
{
    return m_hImageList != NULL && ImageList_SetOverlayImage(m_hImageList, nImage, nOverlay);
}

BOOL CImageList::Copy(int iDst, int iSrc, UINT uFlags)
{
    return m_hImageList != NULL &&
           ImageList_Copy(m_hImageList, iDst, m_hImageList, iSrc, uFlags);
}

BOOL CImageList::Copy(int iDst, CImageList* pSrc, int iSrc, UINT uFlags)
{
    if (m_hImageList == NULL || pSrc == NULL || pSrc->m_hImageList == NULL)
        return FALSE;
    return ImageList_Copy(m_hImageList, iDst, pSrc->m_hImageList, iSrc, uFlags);
}

// ---------------------------------------------------------------------------
// Dragging

BOOL CImageList::BeginDrag(int nImage, CPoint ptHotSpot)
{
    return m_hImageList != NULL && ImageList_BeginDrag(m_hImageList, nImage, ptHotSpot.x, ptHotSpot.y);
}

void PASCAL CImageList::EndDrag()
{
    ImageList_EndDrag();
}

BOOL PASCAL CImageList::DragMove(CPoint pt)
{
    return ImageList_DragMove(pt.x, pt.y);
}

BOOL CImageList::SetDragCursorImage(int nDrag, CPoint ptHotSpot)
{
    return m_hImageList != NULL &&
           ImageList_SetDragCursorImage(m_hImageList, nDrag, ptHotSpot.x, ptHotSpot.y);
}

BOOL PASCAL CImageList::DragShowNolock(BOOL bShow)
{
    return ImageList_DragShowNolock(bShow);
}

CImageList* PASCAL CImageList::GetDragImage(LPPOINT lpPoint, LPPOINT lpPointHotSpot)
{
    HIMAGELIST h = ImageList_GetDragImage(lpPoint, lpPointHotSpot);
    return h != NULL ? CImageList::FromHandle(h) : NULL;
}

BOOL PASCAL CImageList::DragEnter(CWnd* pWndLock, CPoint point)
{
    return ImageList_DragEnter(pWndLock->GetSafeHwnd(), point.x, point.y);
}

BOOL PASCAL CImageList::DragLeave(CWnd* pWndLock)
{
    return ImageList_DragLeave(pWndLock->GetSafeHwnd());
}
