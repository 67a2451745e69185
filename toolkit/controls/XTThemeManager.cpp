// The theme manager of the extended controls.
#include "XTThemeManager.h"

#include "XTPColorManager.h"

/////////////////////////////////////////////////////////////////////////////
// CXTThemeManagerStyle

CXTThemeManagerStyle::CXTThemeManagerStyle() : m_pFactory(NULL), m_nTheme(xtThemeDefault)
{
}

CXTThemeManagerStyle::~CXTThemeManagerStyle()
{
    m_bmpSnapshot.DeleteObject();
}

void CXTThemeManagerStyle::RefreshMetrics()
{
}

BOOL CXTThemeManagerStyle::TakeSnapshot(CWnd* pWnd)
{
    if (pWnd == NULL || !::IsWindow(pWnd->GetSafeHwnd()))
        return FALSE;
    HWND hWndParent = ::GetParent(pWnd->m_hWnd);
    if (hWndParent == NULL || !::IsWindow(hWndParent))
        return FALSE;

    m_bmpSnapshot.DeleteObject();

    CRect rcWindow;
    pWnd->GetWindowRect(&rcWindow);
    ::MapWindowPoints(NULL, hWndParent, (LPPOINT)&rcWindow, 2);

    HDC hDCParent = ::GetDC(hWndParent);
    if (hDCParent == NULL)
        return FALSE;
    BOOL bResult = FALSE;
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hDCParent, rcWindow.Width(), rcWindow.Height());
    HDC hDCMem = hBitmap != NULL ? ::CreateCompatibleDC(hDCParent) : NULL;
    if (hDCMem != NULL)
    {
        HGDIOBJ hOld = ::SelectObject(hDCMem, hBitmap);
        ::BitBlt(hDCMem, 0, 0, rcWindow.Width(), rcWindow.Height(), hDCParent, rcWindow.left, rcWindow.top,
                 SRCCOPY);
        ::SelectObject(hDCMem, hOld);
        ::DeleteDC(hDCMem);
        m_bmpSnapshot.Attach(hBitmap);
        bResult = TRUE;
    }
    else if (hBitmap != NULL)
    {
        ::DeleteObject(hBitmap);
    }
    ::ReleaseDC(hWndParent, hDCParent);
    return bResult;
}

BOOL CXTThemeManagerStyle::DrawTransparentBack(CDC* pDC, CWnd* pWnd)
{
    if (pDC == NULL || pWnd == NULL || !::IsWindow(pWnd->GetSafeHwnd()))
        return FALSE;
    if ((pWnd->GetExStyle() & WS_EX_TRANSPARENT) == 0)
        return FALSE;
    if (!TakeSnapshot(pWnd))
        return FALSE;

    CRect rcClient;
    pWnd->GetClientRect(&rcClient);
    HDC hDCMem = ::CreateCompatibleDC(pDC->GetSafeHdc());
    if (hDCMem == NULL)
        return FALSE;
    HGDIOBJ hOld = ::SelectObject(hDCMem, m_bmpSnapshot.GetSafeHandle());
    ::BitBlt(pDC->GetSafeHdc(), 0, 0, rcClient.Width(), rcClient.Height(), hDCMem, 0, 0, SRCCOPY);
    ::SelectObject(hDCMem, hOld);
    ::DeleteDC(hDCMem);
    return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// CXTThemeManagerStyleFactory

IMPLEMENT_DYNCREATE(CXTThemeManagerStyleFactory, CObject)

CXTThemeManagerStyleFactory::CXTThemeManagerStyleFactory()
    : m_pTheme(NULL), m_pHostHead(NULL), m_pNextFactory(NULL)
{
    CXTThemeManager::GetInstance()->AddFactory(this);
}

CXTThemeManagerStyleFactory::~CXTThemeManagerStyleFactory()
{
    delete m_pTheme;
    m_pTheme = NULL;
    // Hosts still listed keep a pointer to this factory: detach them so they
    // never reach it again.
    while (m_pHostHead != NULL)
    {
        CXTThemeManagerStyleHost* pHost = m_pHostHead;
        m_pHostHead = pHost->m_pNextHost;
        pHost->m_pNextHost = NULL;
        if (pHost->m_pSharedFactory == this)
            pHost->m_pSharedFactory = NULL;
        if (pHost->m_pPrivateFactory == this)
        {
            // The host draws with the shared style again.
            pHost->m_pPrivateFactory = NULL;
            pHost->m_bOwnsPrivateFactory = FALSE;
            if (pHost->m_pSharedFactory != NULL)
                pHost->m_pSharedFactory->AddHost(pHost);
        }
    }
    CXTThemeManager* pManager = CXTThemeManager::GetInstanceIfAlive();
    if (pManager != NULL)
        pManager->RemoveFactory(this);
}

CXTThemeManagerStyle* CXTThemeManagerStyleFactory::CreateTheme(int /*nTheme*/)
{
    return NULL;
}

void CXTThemeManagerStyleFactory::RefreshMetrics()
{
    if (m_pTheme != NULL)
        m_pTheme->RefreshMetrics();
}

CXTThemeManagerStyle* CXTThemeManagerStyleFactory::GetTheme()
{
    if (m_pTheme == NULL)
    {
        CXTThemeManagerStyle* pTheme = CreateTheme(CXTThemeManager::GetInstance()->GetTheme());
        if (pTheme == NULL)
        {
            TRACE("CXTThemeManagerStyleFactory: %s made no style\n", GetRuntimeClass()->m_lpszClassName);
            return NULL;
        }
        m_pTheme = pTheme;
        m_pTheme->m_pFactory = this;
        m_pTheme->RefreshMetrics();
    }
    return m_pTheme;
}

void CXTThemeManagerStyleFactory::SetTheme(CXTThemeManagerStyle* pTheme)
{
    if (pTheme == NULL)
    {
        TRACE("CXTThemeManagerStyleFactory: no new style; the old one stays\n");
        return;
    }
    if (pTheme != m_pTheme)
    {
        delete m_pTheme;
        m_pTheme = pTheme;
    }
    m_pTheme->m_pFactory = this;
    m_pTheme->RefreshMetrics();

    // A host may leave the list while it is told (it may change its own
    // theme), so the next link is read first.
    for (CXTThemeManagerStyleHost* pHost = m_pHostHead; pHost != NULL;)
    {
        CXTThemeManagerStyleHost* pNext = pHost->m_pNextHost;
        pHost->OnThemeChanged();
        pHost = pNext;
    }
}

void CXTThemeManagerStyleFactory::OnThemeNumberChanged(int nTheme)
{
    SetTheme(CreateTheme(nTheme));
}

void CXTThemeManagerStyleFactory::AddHost(CXTThemeManagerStyleHost* pHost)
{
    if (pHost == NULL)
        return;
    for (CXTThemeManagerStyleHost* p = m_pHostHead; p != NULL; p = p->m_pNextHost)
    {
        if (p == pHost)
            return;
    }
    pHost->m_pNextHost = m_pHostHead;
    m_pHostHead = pHost;
}

void CXTThemeManagerStyleFactory::RemoveHost(CXTThemeManagerStyleHost* pHost)
{
    for (CXTThemeManagerStyleHost** ppLink = &m_pHostHead; *ppLink != NULL; ppLink = &(*ppLink)->m_pNextHost)
    {
        if (*ppLink == pHost)
        {
            *ppLink = pHost->m_pNextHost;
            pHost->m_pNextHost = NULL;
            return;
        }
    }
}

/////////////////////////////////////////////////////////////////////////////
// CXTThemeManager

namespace
{
CProcessLocal<CXTThemeManager> s_themeManager;
}

CXTThemeManager::CXTThemeManager() : m_mapFactories(10), m_nTheme(xtThemeDefault), m_pFactoryHead(NULL)
{
}

CXTThemeManager::~CXTThemeManager()
{
    // The shared factories are owned here; private ones belong to their
    // controls and only leave the list.
    POSITION pos = m_mapFactories.GetStartPosition();
    while (pos != NULL)
    {
        void* pKey;
        void* pValue;
        m_mapFactories.GetNextAssoc(pos, pKey, pValue);
        CXTThemeManagerStyleFactory* pFactory = (CXTThemeManagerStyleFactory*)pValue;
        RemoveFactory(pFactory);
        delete pFactory;
    }
    m_mapFactories.RemoveAll();
    m_pFactoryHead = NULL;
}

CXTThemeManager* AFX_CDECL CXTThemeManager::GetInstance()
{
    CXTThemeManager* pManager = s_themeManager.GetData();
    if (pManager == NULL)
        AfxThrowInvalidArgException();
    return pManager;
}

CXTThemeManager* AFX_CDECL CXTThemeManager::GetInstanceIfAlive()
{
    return s_themeManager.GetDataNA();
}

CXTThemeManagerStyleFactory* AFX_CDECL CXTThemeManager::CreateFactoryOfClass(CRuntimeClass* pFactoryClass)
{
    if (pFactoryClass == NULL)
        return NULL;
    CObject* pObject = pFactoryClass->CreateObject();
    CXTThemeManagerStyleFactory* pFactory = DYNAMIC_DOWNCAST(CXTThemeManagerStyleFactory, pObject);
    if (pFactory == NULL)
    {
        TRACE("CXTThemeManager: cannot create a factory of class %s\n", pFactoryClass->m_lpszClassName);
        delete pObject;
    }
    return pFactory;
}

CXTThemeManagerStyleFactory* CXTThemeManager::GetFactory(CRuntimeClass* pFactoryClass)
{
    if (pFactoryClass == NULL)
        return NULL;
    void* pValue = NULL;
    if (m_mapFactories.Lookup(pFactoryClass, pValue))
        return (CXTThemeManagerStyleFactory*)pValue;

    CXTThemeManagerStyleFactory* pFactory = CreateFactoryOfClass(pFactoryClass);
    if (pFactory != NULL)
        m_mapFactories.SetAt(pFactoryClass, pFactory);
    return pFactory;
}

void CXTThemeManager::SetTheme(int nTheme)
{
    if (nTheme == m_nTheme)
        return;
    m_nTheme = nTheme;
    RefreshColorManager();

    POSITION pos = m_mapFactories.GetStartPosition();
    while (pos != NULL)
    {
        void* pKey;
        void* pValue;
        m_mapFactories.GetNextAssoc(pos, pKey, pValue);
        ((CXTThemeManagerStyleFactory*)pValue)->OnThemeNumberChanged(nTheme);
    }
}

void CXTThemeManager::AddFactory(CXTThemeManagerStyleFactory* pFactory)
{
    pFactory->m_pNextFactory = m_pFactoryHead;
    m_pFactoryHead = pFactory;
}

void CXTThemeManager::RemoveFactory(CXTThemeManagerStyleFactory* pFactory)
{
    for (CXTThemeManagerStyleFactory** ppLink = &m_pFactoryHead; *ppLink != NULL;
         ppLink = &(*ppLink)->m_pNextFactory)
    {
        if (*ppLink == pFactory)
        {
            *ppLink = pFactory->m_pNextFactory;
            pFactory->m_pNextFactory = NULL;
            return;
        }
    }
}

int CXTThemeManager::GetFactoryCount() const
{
    int nCount = 0;
    for (CXTThemeManagerStyleFactory* p = m_pFactoryHead; p != NULL; p = p->m_pNextFactory)
        nCount++;
    return nCount;
}

/////////////////////////////////////////////////////////////////////////////
// CXTThemeManagerStyleHost

CXTThemeManagerStyleHost::CXTThemeManagerStyleHost(CRuntimeClass* pFactoryClass)
    : m_bOwnsPrivateFactory(FALSE), m_pFactoryClass(NULL), m_pPrivateFactory(NULL), m_pSharedFactory(NULL),
      m_pNextHost(NULL)
{
    if (pFactoryClass != NULL)
        SetFactoryClass(pFactoryClass);
}

CXTThemeManagerStyleHost::~CXTThemeManagerStyleHost()
{
    LeaveFactory();
    ReleasePrivateFactory();
}

CXTThemeManagerStyleFactory* CXTThemeManagerStyleHost::CreateFactory()
{
    return CXTThemeManager::CreateFactoryOfClass(m_pFactoryClass);
}

void CXTThemeManagerStyleHost::OnThemeChanged()
{
}

void CXTThemeManagerStyleHost::SetFactoryClass(CRuntimeClass* pFactoryClass)
{
    if (m_pSharedFactory != NULL && CXTThemeManager::GetInstanceIfAlive() != NULL)
        m_pSharedFactory->RemoveHost(this);
    m_pFactoryClass = pFactoryClass;
    m_pSharedFactory = CXTThemeManager::GetInstance()->GetFactory(pFactoryClass);
    if (m_pSharedFactory != NULL && m_pPrivateFactory == NULL)
        m_pSharedFactory->AddHost(this);
}

CXTThemeManagerStyleFactory* CXTThemeManagerStyleHost::GetFactory() const
{
    if (m_pPrivateFactory != NULL)
        return m_pPrivateFactory;
    // Shared factories go with the manager at exit; a control that outlives
    // it has none.
    return CXTThemeManager::GetInstanceIfAlive() != NULL ? m_pSharedFactory : NULL;
}

CXTThemeManagerStyle* CXTThemeManagerStyleHost::GetTheme() const
{
    CXTThemeManagerStyleFactory* pFactory = GetFactory();
    return pFactory != NULL ? pFactory->GetTheme() : NULL;
}

void CXTThemeManagerStyleHost::LeaveFactory()
{
    CXTThemeManagerStyleFactory* pFactory = GetFactory();
    if (pFactory != NULL)
        pFactory->RemoveHost(this);
}

void CXTThemeManagerStyleHost::JoinFactory()
{
    CXTThemeManagerStyleFactory* pFactory = GetFactory();
    if (pFactory != NULL)
        pFactory->AddHost(this);
}

void CXTThemeManagerStyleHost::ReleasePrivateFactory()
{
    CXTThemeManagerStyleFactory* pFactory = m_pPrivateFactory;
    BOOL bOwned = m_bOwnsPrivateFactory;
    m_pPrivateFactory = NULL;
    m_bOwnsPrivateFactory = FALSE;
    if (bOwned)
        delete pFactory;
}

void CXTThemeManagerStyleHost::SetTheme(CXTThemeManagerStyle* pTheme)
{
    if (m_pPrivateFactory == NULL && pTheme == NULL)
        return;

    LeaveFactory();
    ReleasePrivateFactory();
    if (pTheme != NULL)
    {
        CXTThemeManagerStyleFactory* pFactory = CreateFactory();
        if (pFactory != NULL)
        {
            m_pPrivateFactory = pFactory;
            m_bOwnsPrivateFactory = TRUE;
            pFactory->SetTheme(pTheme);
        }
        else
        {
            // Without a factory to own it the style cannot be kept; the
            // control stays on the shared style.
            delete pTheme;
        }
    }
    OnThemeChanged();
    JoinFactory();
}

void CXTThemeManagerStyleHost::SetThemeFactory(CXTThemeManagerStyleFactory* pFactory)
{
    if (m_pPrivateFactory == NULL && pFactory == NULL)
        return;
    LeaveFactory();
    ReleasePrivateFactory();
    m_pPrivateFactory = pFactory;
    m_bOwnsPrivateFactory = FALSE;
    OnThemeChanged();
    JoinFactory();
}
