// CMetaFileDC: recording DCs for old-style and enhanced metafiles.
#include <afxgdi.h>

IMPLEMENT_DYNAMIC(CMetaFileDC, CDC)

CMetaFileDC::CMetaFileDC() : m_bEnhanced(FALSE), m_bOwnAttrib(FALSE)
{
}

CMetaFileDC::~CMetaFileDC()
{
    // Recording abandoned: end it and throw the metafile away.
    if (m_hDC != NULL)
    {
        HDC hDC = Detach();
        if (m_bEnhanced)
        {
            HENHMETAFILE hEmf = ::CloseEnhMetaFile(hDC);
            if (hEmf != NULL)
                ::DeleteEnhMetaFile(hEmf);
        }
        else
        {
            HMETAFILE hMf = ::CloseMetaFile(hDC);
            if (hMf != NULL)
                ::DeleteMetaFile(hMf);
        }
    }
    FreeAttrib();
}

void CMetaFileDC::FreeAttrib()
{
    if (m_bOwnAttrib && m_hAttribDC != NULL)
        ::DeleteDC(m_hAttribDC);
    m_hAttribDC = NULL;
    m_bOwnAttrib = FALSE;
}

void CMetaFileDC::SetAttribDC(HDC hDC)
{
    // Attach passes the output DC here; a metafile DC keeps its own reference
    // DC instead.  Any other DC is the caller's and is not ours to delete.
    if (hDC == m_hDC)
        return;
    FreeAttrib();
    m_hAttribDC = hDC;
}

void CMetaFileDC::ReleaseAttribDC()
{
    FreeAttrib();
}

BOOL CMetaFileDC::Create(LPCTSTR lpszFilename)
{
    if (m_hDC != NULL)
        return FALSE;
    HDC hDC = ::CreateMetaFile(lpszFilename);
    if (hDC == NULL)
        return FALSE;
    m_bEnhanced = FALSE;
    // An old-style metafile has no device to ask; queries get a screen-
    // compatible memory DC.
    HDC hAttrib = ::CreateCompatibleDC(NULL);
    Attach(hDC);
    m_hAttribDC = hAttrib;
    m_bOwnAttrib = hAttrib != NULL;
    return TRUE;
}

BOOL CMetaFileDC::CreateEnhanced(CDC* pDCRef, LPCTSTR lpszFileName, LPCRECT lpBounds,
                                 LPCTSTR lpszDescription)
{
    if (m_hDC != NULL)
        return FALSE;
    HDC hRef = NULL;
    if (pDCRef != NULL)
        hRef = pDCRef->m_hAttribDC != NULL ? pDCRef->m_hAttribDC : pDCRef->m_hDC;
    HDC hDC = ::CreateEnhMetaFile(hRef, lpszFileName, lpBounds, lpszDescription);
    if (hDC == NULL)
        return FALSE;
    m_bEnhanced = TRUE;
    // A private DC of the reference device answers queries, so mapping and
    // font changes made while recording never reach the caller's DC.
    HDC hAttrib = ::CreateCompatibleDC(hRef);
    Attach(hDC);
    m_hAttribDC = hAttrib;
    m_bOwnAttrib = hAttrib != NULL;
    return TRUE;
}

HMETAFILE CMetaFileDC::Close()
{
    if (m_hDC == NULL || m_bEnhanced)
        return NULL;
    HDC hDC = Detach();
    FreeAttrib();
    return ::CloseMetaFile(hDC);
}

HENHMETAFILE CMetaFileDC::CloseEnhanced()
{
    if (m_hDC == NULL || !m_bEnhanced)
        return NULL;
    HDC hDC = Detach();
    FreeAttrib();
    return ::CloseEnhMetaFile(hDC);
}
